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

namespace cxGraphicsResources {
// The resources of the table above, in the unit's start-up order (the brush cache, the
// halftone brush, the class registrations, the DPI, the skip list, the animation timer).
void Initialize();
void Finalize();
}  // namespace cxGraphicsResources

}  // namespace qd
