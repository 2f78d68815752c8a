#pragma once
// Images and shapes the painters share: the radio-button images built per DPI from the
// system's radio button and recoloured per look-and-feel kind, the classic check-box size, the
// 8 x 8 pattern bitmaps of scroll-bar tracks, the size grip turned to any corner, the
// touch-size rule and the scheduler polygons.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/base/geometry.h"
#include "platform/forms/graphics.h"
#include "platform/forms/imglist.h"
#include "ui/core/cxGeometryScaleFactor.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd {

// --- Touch sizes -------------------------------------------------------------------------------

// The library's touch mode, initially off.
extern bool cxIsTouchModeEnabled;

// While touch mode is on, a positive AValue is raised to at least 27 pixels at AScaleFactor
// (the system scale factor for nullptr); 0, negative values and everything while touch mode
// is off stay as they are. The size form applies it to the width and to the height.
void dxAdjustToTouchableSize(int32_t& AValue, const TdxScaleFactor* AScaleFactor = nullptr);
void dxAdjustToTouchableSize(TSize& AValue, const TdxScaleFactor* AScaleFactor = nullptr);

// --- Shapes ------------------------------------------------------------------------------------

// R shrunk by 2 pixels on every side.
TRect cxTextRect(const TRect& R);
// Six points: a box whose lower edge has a notch in the middle (R less 2 pixels at top and
// bottom, its right edge one pixel in).
void cxGetSchedulerGroupPolygon(const TRect& R, std::array<TPoint, 6>& APoints);
// A diamond in the largest square (of even side) centred in R.
void cxGetSchedulerMilestonePolygon(const TRect& R, std::array<TPoint, 4>& APoints);
// A rounded rectangle over R with the corner ellipse inscribed in R.
void InternalRoundRect(TcxCanvas* ACanvas, const TRect& R);

// --- Size grip -----------------------------------------------------------------------------------

// Draws the bottom-right size grip over ARect.
using TdxDrawSizeGripEvent =
    std::function<void(TcxCanvas* ACanvas, const TRect& ARect, const TdxScaleFactor* AScaleFactor)>;

// Draws a size grip for ACorner: AOnDrawSizeGrip draws the bottom-right grip into a bitmap
// of ARect's size, filled with ABackgroundColor (or holding the canvas' pixels for clNone),
// that is turned so that the bottom-right corner becomes ACorner and copied to ARect.
void dxRotateSizeGrip(TcxCanvas* ACanvas, const TRect& ARect, const TdxScaleFactor* AScaleFactor,
                      TColor ABackgroundColor, TdxCorner ACorner,
                      const TdxDrawSizeGripEvent& AOnDrawSizeGrip);

// --- Check-button size and scroll-bar patterns --------------------------------------------------

// One cell of the system check-box bitmap (a 4 x 3 grid) at the system scale factor; computed
// by the unit's start-up.
void CalculateCheckButtonSize();
TSize cxCheckButtonSize();

// The two 8 x 8 patterns of scroll-bar tracks: [0] normal (button face and highlight),
// [1] pressed (black and dark shadow); nullptr before start-up.
extern std::unique_ptr<TBitmap> StdScrollBitmaps[2];
void CreateStdScrollBarBitmaps();
// Repaints the patterns in the current system colours, creating them when missing.
void UpdateScrollBarBitmaps();
void DestroyStdScrollBarBitmaps();

// --- Radio-button images --------------------------------------------------------------------------

// The radio-button images of one DPI: the button's shape is measured from the system's own
// radio button, and every combination of focused, designing, look-and-feel kind, checked and
// button state gets an image recoloured from a seven-code pattern.
class TcxRadioButtonImageList {
 public:
  // Pattern codes.
  enum : uint8_t {
    rbpOutside,
    rbpOuterRingUpperLeft,
    rbpOuterRingLowerRight,
    rbpInnerRingUpperLeft,
    rbpInnerRingLowerRight,
    rbpBody,
    rbpCheck
  };
  using TPattern = std::vector<std::vector<uint8_t>>;

  explicit TcxRadioButtonImageList(const TdxScaleFactor* AScaleFactor);
  ~TcxRadioButtonImageList();
  TcxRadioButtonImageList(const TcxRadioButtonImageList&) = delete;
  TcxRadioButtonImageList& operator=(const TcxRadioButtonImageList&) = delete;

  // The image of the combination at (X, Y); ABrushColor (unless clDefault) fills the corners
  // outside the button, else they stay as they were.
  void Draw(TcxCanvas* ACanvas, int32_t X, int32_t Y, TColor ABrushColor, TcxLookAndFeelKind ALookAndFeelKind,
            TcxButtonState AButtonState, bool AChecked, bool AFocused, bool AIsDesigning);
  int32_t GetImageIndex(TcxLookAndFeelKind ALookAndFeelKind, TcxButtonState AButtonState, bool AChecked,
                        bool AFocused, bool AIsDesigning) const;
  TSize GetSize() const;
  void SetScaleFactor(const TdxScaleFactor* Value);
  // Recolours every image (after a change of the system colours).
  void Reset();

  // The colour of each pattern code for a combination; the body is the RadioButtonBodyColor of
  // the registered painter of the kind's style, clWindow without one.
  static std::array<TColor, 7> GetColorMap(TcxLookAndFeelKind ALookAndFeelKind, TcxButtonState AButtonState,
                                           bool AChecked, bool AFocused, bool AIsDesigning);

  TCustomImageList* List() const { return FList.get(); }
  const TPattern& RadioButtonPattern() const { return FRadioButtonPattern; }
  const TRect& RadioButtonRect() const { return FRadioButtonRect; }
  const TRect& RadioButtonCheckRect() const { return FRadioButtonCheckRect; }

 private:
  void Initialize();
  void Reinitialize();
  void CalculateRadioButtonSize();
  void PrepareButtonMask();
  void PrepareRadioButtonPattern();
  void Prepare();

  TdxScaleFactor FScaleFactor;
  std::unique_ptr<TImageList> FList;
  std::unique_ptr<TBitmap> FButtonMask;
  TSize FRadioButtonSize{};
  TRect FRadioButtonRect{};
  TRect FRadioButtonCheckRect{};
  TPattern FRadioButtonPattern;
  std::vector<int32_t> FRadioButtonImageListIndexes;
};

// The radio-button image lists, one per target DPI, created on first use.
class TcxRadioButtonImageListManager {
 public:
  static TcxRadioButtonImageList* Get(const TdxScaleFactor* AScaleFactor);
  static void Reset();
  static void Finalize();
};

// The unit's start-up makes the check-button size and the scroll-bar patterns and has the
// painters' primary palette notifier recolour the radio-button images (so they change before
// any look-and-feel repaints); shut-down undoes it and frees the lists and the patterns.
namespace cxLookAndFeelPaintersBitmaps {
void Initialize();
void Finalize();
}  // namespace cxLookAndFeelPaintersBitmaps

}  // namespace qd
