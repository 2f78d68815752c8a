#include "ui/graphics/cxGraphicsResources.h"
#include "ui/graphics/dxSmartImage.h"

#include <algorithm>

#include "platform/base/object.h"
#include "platform/os/user.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/cxGraphicsCaches.h"

namespace qd {

namespace {

HBRUSH ResourcesHalfToneBrush = nullptr;
TPoint ResourcesPixelsPerInch{96, 96};
std::vector<HWND>* ResourcesPaintSkipList = nullptr;

}  // namespace

HBRUSH cxHalfToneBrush() {
  return ResourcesHalfToneBrush;
}

TPoint cxGetPixelsPerInch() {
  return ResourcesPixelsPerInch;
}

int32_t cxGetCurrentDPI() {
  return ResourcesPixelsPerInch.Y;
}

std::vector<HWND>* PaintSkipList() {
  return ResourcesPaintSkipList;
}

bool cxIsInPaintSkipList(HWND AWnd) {
  return ResourcesPaintSkipList && std::find(ResourcesPaintSkipList->begin(), ResourcesPaintSkipList->end(),
                                             AWnd) != ResourcesPaintSkipList->end();
}

bool cxGetBitmapData(HBITMAP ABitmapHandle, BITMAP& ABitmapData) {
  return GetObjectW(ABitmapHandle, sizeof(ABitmapData), &ABitmapData) != 0;
}

bool cxGetBrushData(HBRUSH ABrushHandle, LOGBRUSH& ALogBrush) {
  return GetObjectW(ABrushHandle, sizeof(ALogBrush), &ALogBrush) != 0;
}

bool cxGetFontData(HFONT AFontHandle, LOGFONTW& ALogFont) {
  return GetObjectW(AFontHandle, sizeof(ALogFont), &ALogFont) != 0;
}

bool cxGetPenData(HPEN APenHandle, LOGPEN& ALogPen) {
  return GetObjectW(APenHandle, sizeof(ALogPen), &ALogPen) != 0;
}

bool cxPtInRegion(HRGN ARegionHandle, const TPoint& P) {
  return PtInRegion(ARegionHandle, P.X, P.Y) != FALSE;
}

void cxResetFont(TFont* AFont) {
  TFont defaultFont;
  AFont->Assign(&defaultFont);
}

TRect cxRectExcludeBorders(const TRect& R, const TRect& ABorderWidths, const TcxBorders& ABorders) {
  TRect result = R;
  if (!ABorders.Contains(bLeft)) result.Left -= ABorderWidths.Left;
  if (!ABorders.Contains(bTop)) result.Top -= ABorderWidths.Top;
  if (!ABorders.Contains(bRight)) result.Right += ABorderWidths.Right;
  if (!ABorders.Contains(bBottom)) result.Bottom += ABorderWidths.Bottom;
  return result;
}

// --- Start-up ----------------------------------------------------------------------------------

namespace cxGraphicsResources {

void Initialize() {
  TdxSolidBrushCache::Initialize();
  if (!ResourcesHalfToneBrush) {
    static constexpr uint16_t kHalfTonePattern[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, kHalfTonePattern);
    ResourcesHalfToneBrush = CreatePatternBrush(pattern);
    DeleteObject(pattern);
  }
  RegisterClass(TcxBitmap::StaticClass());
  RegisterClass(TcxBitmap32::StaticClass());
  HDC dc = GetDC(nullptr);
  ResourcesPixelsPerInch = {GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY)};
  ReleaseDC(nullptr, dc);
  if (!ResourcesPaintSkipList) ResourcesPaintSkipList = new std::vector<HWND>();
  TdxImageListPaintCache::Initialize();
  // Animated images step their frames on a timer from here on.
  SetImageAnimationControllerClass(&TdxImageAnimationController::CreateController);
}

void Finalize() {
  SetImageAnimationControllerClass(nullptr);
  if (ResourcesHalfToneBrush) DeleteObject(ResourcesHalfToneBrush);
  ResourcesHalfToneBrush = nullptr;
  TdxSolidBrushCache::Finalize();
  TdxImageListPaintCache::Finalize();
  delete ResourcesPaintSkipList;
  ResourcesPaintSkipList = nullptr;
}

}  // namespace cxGraphicsResources

}  // namespace qd
