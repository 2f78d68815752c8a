#pragma once
// The canvas-and-bitmap unit's process-wide resources beside the shared canvases: the
// halftone brush, the screen DPI read at start-up, the windows that control painting skips,
// the timer that animates smart images, and small object-description helpers.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/geometry.h"
#include "platform/forms/graphics.h"
#include "platform/os/gdi.h"
#include "ui/core/cxClassesTimer.h"
#include "ui/graphics/cxGraphicsCanvas.h"

namespace qd {

// A 50 % checkerboard pattern brush (rows alternating 0xAA and 0x55); nullptr outside
// start-up and shut-down.
HBRUSH cxHalfToneBrush();
// LOGPIXELSX and LOGPIXELSY of the screen, read once at start-up.
TPoint cxGetPixelsPerInch();
int32_t cxGetCurrentDPI();

// Windows that child painting leaves out (a control while its own background is painted
// from its parent).
std::vector<HWND>* PaintSkipList();
bool cxIsInPaintSkipList(HWND AWnd);

bool cxGetBitmapData(HBITMAP ABitmapHandle, BITMAP& ABitmapData);
bool cxGetBrushData(HBRUSH ABrushHandle, LOGBRUSH& ALogBrush);
bool cxGetFontData(HFONT AFontHandle, LOGFONTW& ALogFont);
bool cxGetPenData(HPEN APenHandle, LOGPEN& ALogPen);
bool cxPtInRegion(HRGN ARegionHandle, const TPoint& P);
// The font takes the values of a new default font.
void cxResetFont(TFont* AFont);
// R grown outward by the matching width on every side that is not in ABorders.
TRect cxRectExcludeBorders(const TRect& R, const TRect& ABorderWidths, const TcxBorders& ABorders);

// The timer of the smart images' animation controller: the controller (the smart-image
// unit's) owns the frames and asks for a timer at the current frame's delay; while the
// graphics unit runs, a TdxImageAnimationController provides it.
class IdxImageAnimationTimerClient {
 public:
  virtual ~IdxImageAnimationTimerClient() = default;
  // The delay of the current animation frame, in milliseconds.
  virtual uint32_t AnimationFrameDelay() = 0;
  // The controller's timer handler.
  virtual void AnimationTimerHandler(TObject* Sender) = 0;
};

class TdxImageAnimationController {
 public:
  explicit TdxImageAnimationController(IdxImageAnimationTimerClient* AClient) : FClient(AClient) {}
  virtual ~TdxImageAnimationController();
  TdxImageAnimationController(const TdxImageAnimationController&) = delete;
  TdxImageAnimationController& operator=(const TdxImageAnimationController&) = delete;

  // Nothing when a timer exists; otherwise a timer at the frame delay, enabled.
  virtual void ActivateTimer();
  virtual void DeactivateTimer();
  virtual bool IsTimerActive() const;
  TcxTimer* Timer() const { return FTimer.get(); }

 private:
  void TimerHandler(TObject* Sender);

  IdxImageAnimationTimerClient* FClient;
  std::unique_ptr<TcxTimer> FTimer;
};

// The class the smart images create their animation timers with: set by the graphics
// unit's start-up, nullptr (no timer) before it and after its shut-down.
using TdxImageAnimationControllerFactory =
    TdxImageAnimationController* (*)(IdxImageAnimationTimerClient* AClient);
TdxImageAnimationControllerFactory dxImageAnimationControllerFactory();
// A new controller owned by the caller, or nullptr while no factory is installed.
TdxImageAnimationController* dxCreateImageAnimationController(IdxImageAnimationTimerClient* AClient);

namespace cxGraphicsResources {
// The resources of the table above, in the unit's start-up order (the brush cache, the
// halftone brush, the class registrations, the DPI, the skip list, the animation timer).
void Initialize();
void Finalize();
}  // namespace cxGraphicsResources

}  // namespace qd
