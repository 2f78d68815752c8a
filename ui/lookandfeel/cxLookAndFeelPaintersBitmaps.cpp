// Images and shapes the painters share.
#include "ui/lookandfeel/cxLookAndFeelPaintersBitmaps.h"

#include <algorithm>

#include "platform/os/gdi.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/dxOffice11.h"

namespace qd {

namespace {

TSize FCheckButtonSize{};
std::map<int32_t, std::unique_ptr<TcxRadioButtonImageList>>* FRadioButtonImageLists = nullptr;

// The body colour of a kind's radio button: the one of the registered painter of the kind's
// style, clWindow without one.
TColor RadioBitmapsBodyColor(TcxLookAndFeelKind AKind, TcxButtonState AState) {
  TcxCustomLookAndFeelPainter* painter = nullptr;
  if (cxLookAndFeelPaintersManager() &&
      cxLookAndFeelPaintersManager()->GetPainter(cxLookAndFeelStyleMap[AKind], painter))
    return painter->RadioButtonBodyColor(AState);
  return clWindow;
}

// A 24-bit bitmap of the size, white.
std::unique_ptr<TBitmap> RadioBitmapsWhite(int32_t AWidth, int32_t AHeight) {
  auto result = std::make_unique<TBitmap>();
  result->SetPixelFormat(pf24bit);
  result->SetSize(AWidth, AHeight);
  result->Canvas()->Brush()->SetStyle(bsSolid);
  result->Canvas()->Brush()->SetColor(clWhite);
  result->Canvas()->FillRect(TRect{0, 0, AWidth, AHeight});
  return result;
}

// Turns a size-grip bitmap so that its bottom-right corner goes to ACorner (and back: every
// turn is its own inverse).
void RadioBitmapsTurnToCorner(TcxBitmap& ABitmap, TdxCorner ACorner) {
  switch (ACorner) {
    case coTopLeft:
      ABitmap.Rotate(ra180);
      break;
    case coTopRight:
      ABitmap.Rotate(ra0, true);
      break;
    case coBottomLeft:
      ABitmap.Rotate(ra180, true);
      break;
    case coBottomRight:
      break;
  }
}

}  // namespace

// --- Touch sizes -------------------------------------------------------------------------------

bool cxIsTouchModeEnabled = false;

void dxAdjustToTouchableSize(int32_t& AValue, const TdxScaleFactor* AScaleFactor) {
  if (!cxIsTouchModeEnabled || AValue <= 0) return;
  const TdxScaleFactor* scale = AScaleFactor ? AScaleFactor : dxSystemScaleFactor();
  AValue = std::max(AValue, scale->Apply(27));
}

void dxAdjustToTouchableSize(TSize& AValue, const TdxScaleFactor* AScaleFactor) {
  dxAdjustToTouchableSize(AValue.cx, AScaleFactor);
  dxAdjustToTouchableSize(AValue.cy, AScaleFactor);
}

// --- Shapes ------------------------------------------------------------------------------------

TRect cxTextRect(const TRect& R) {
  return TRect{R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2};
}

void cxGetSchedulerGroupPolygon(const TRect& R, std::array<TPoint, 6>& APoints) {
  const TRect r{R.Left, R.Top + 2, R.Right - 1, R.Bottom - 2};
  const int32_t h = r.Height() / 2;
  APoints = {TPoint{r.Left, r.Top},
             TPoint{r.Right, r.Top},
             TPoint{r.Right, r.Bottom},
             TPoint{r.Right - h, r.Bottom - h},
             TPoint{r.Left + h, r.Bottom - h},
             TPoint{r.Left, r.Bottom}};
}

void cxGetSchedulerMilestonePolygon(const TRect& R, std::array<TPoint, 4>& APoints) {
  const int32_t side = std::min(R.Width(), R.Height());
  const int32_t left = R.Left + (R.Width() - side) / 2, top = R.Top + (R.Height() - side) / 2;
  const int32_t s = side / 2 * 2;
  APoints = {TPoint{left, top + s / 2}, TPoint{left + s / 2, top}, TPoint{left + s, top + s / 2},
             TPoint{left + s / 2, top + s}};
}

void InternalRoundRect(TcxCanvas* ACanvas, const TRect& R) {
  ACanvas->RoundRect(R, R.Width() - 1, R.Height() - 1);
}

// --- Size grip -----------------------------------------------------------------------------------

void dxRotateSizeGrip(TcxCanvas* ACanvas, const TRect& ARect, const TdxScaleFactor* AScaleFactor,
                      TColor ABackgroundColor, TdxCorner ACorner,
                      const TdxDrawSizeGripEvent& AOnDrawSizeGrip) {
  if (ARect.IsEmpty()) return;
  TcxBitmap bitmap(ARect.Width(), ARect.Height());
  bitmap.Canvas()->SetBrush(ACanvas->Brush());
  if (ABackgroundColor == clNone)
    bitmap.Canvas()->CopyRect(bitmap.ClientRect(), ACanvas->Canvas(), ARect);
  else
    bitmap.cxCanvas()->FillRect(bitmap.ClientRect(), ABackgroundColor);
  RadioBitmapsTurnToCorner(bitmap, ACorner);
  if (AOnDrawSizeGrip) AOnDrawSizeGrip(bitmap.cxCanvas(), bitmap.ClientRect(), AScaleFactor);
  RadioBitmapsTurnToCorner(bitmap, ACorner);
  ACanvas->Draw(ARect.Left, ARect.Top, &bitmap);
}

// --- Check-button size and scroll-bar patterns --------------------------------------------------

void CalculateCheckButtonSize() {
  HBITMAP bitmap = LoadBitmapW(nullptr, reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(OBM_CHECKBOXES)));
  BITMAP info{};
  if (bitmap && GetObjectW(bitmap, sizeof info, &info))
    FCheckButtonSize = TSize{info.bmWidth / 4, info.bmHeight / 3};
  if (bitmap) DeleteObject(bitmap);
}

TSize cxCheckButtonSize() {
  return FCheckButtonSize;
}

std::unique_ptr<TBitmap> StdScrollBitmaps[2];

void CreateStdScrollBarBitmaps() {
  UpdateScrollBarBitmaps();
}

void UpdateScrollBarBitmaps() {
  for (auto& bitmap : StdScrollBitmaps)
    if (!bitmap) {
      bitmap = std::make_unique<TBitmap>();
      bitmap->SetPixelFormat(pf24bit);
      bitmap->SetSize(8, 8);
    }
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 0; x < 8; ++x) {
      const bool same = x % 2 == y % 2;
      StdScrollBitmaps[0]->Canvas()->SetPixels(x, y, same ? clBtnFace : clBtnHighlight);
      StdScrollBitmaps[1]->Canvas()->SetPixels(x, y, same ? clBlack : cl3DDkShadow);
    }
}

void DestroyStdScrollBarBitmaps() {
  for (auto& bitmap : StdScrollBitmaps) bitmap.reset();
}

// --- TcxRadioButtonImageList --------------------------------------------------------------------

TcxRadioButtonImageList::TcxRadioButtonImageList(const TdxScaleFactor* AScaleFactor) {
  FScaleFactor.Assign(AScaleFactor);
  FList = std::make_unique<TImageList>(16, 16);
  Initialize();
}

TcxRadioButtonImageList::~TcxRadioButtonImageList() = default;

void TcxRadioButtonImageList::Initialize() {
  CalculateRadioButtonSize();
  FList->SetWidth(std::max(1, FRadioButtonSize.cx));
  FList->SetHeight(std::max(1, FRadioButtonSize.cy));
  PrepareButtonMask();
  PrepareRadioButtonPattern();
  Prepare();
}

void TcxRadioButtonImageList::Reinitialize() {
  FList->Clear();
  Initialize();
}

TSize TcxRadioButtonImageList::GetSize() const {
  return TSize{FList->Width(), FList->Height()};
}

void TcxRadioButtonImageList::SetScaleFactor(const TdxScaleFactor* Value) {
  if (FScaleFactor.Equals(Value)) return;
  FScaleFactor.Assign(Value);
  Reinitialize();
}

void TcxRadioButtonImageList::Reset() {
  FList->Clear();
  Prepare();
}

void TcxRadioButtonImageList::CalculateRadioButtonSize() {
  const TSize cell = FScaleFactor.Apply(cxCheckButtonSize(), dxSystemScaleFactor());
  auto bitmap = RadioBitmapsWhite(std::max(1, cell.cx), std::max(1, cell.cy));
  TCanvas* canvas = bitmap->Canvas();
  RECT r{0, 0, bitmap->Width(), bitmap->Height()};
  DrawFrameControl(canvas->Handle(), &r, DFC_BUTTON, DFCS_BUTTONRADIOMASK | DFCS_FLAT);
  int32_t firstCol = -1, cols = 0, firstRow = -1, rows = 0;
  for (int32_t x = 0; x < bitmap->Width(); ++x) {
    bool black = false;
    for (int32_t y = 0; y < bitmap->Height() && !black; ++y) black = ColorToRGB(canvas->Pixels(x, y)) == 0;
    if (!black) continue;
    if (firstCol < 0) firstCol = x;
    ++cols;
  }
  for (int32_t y = 0; y < bitmap->Height(); ++y) {
    bool black = false;
    for (int32_t x = 0; x < bitmap->Width() && !black; ++x) black = ColorToRGB(canvas->Pixels(x, y)) == 0;
    if (!black) continue;
    if (firstRow < 0) firstRow = y;
    ++rows;
  }
  FRadioButtonSize = TSize{cols, rows};
  FRadioButtonRect = Bounds(std::max(0, firstCol), std::max(0, firstRow), cols, rows);

  DrawFrameControl(canvas->Handle(), &r, DFC_BUTTON, DFCS_BUTTONRADIOIMAGE | DFCS_CHECKED | DFCS_FLAT);
  const COLORREF dot = ColorToRGB(clWindowText);
  auto isDot = [&](int32_t x, int32_t y) {
    return x >= 0 && y >= 0 && x < bitmap->Width() && y < bitmap->Height() &&
           ColorToRGB(canvas->Pixels(x, y)) == dot;
  };
  const TRect& b = FRadioButtonRect;
  const int32_t cx = b.Left + b.Width() / 2 - 1, cy = b.Top + b.Height() / 2 - 1;
  int32_t y = cy - 2;
  while (isDot(cx, y)) --y;
  FRadioButtonCheckRect.Top = y + 1;
  y = FRadioButtonCheckRect.Top;
  while (isDot(cx, y)) ++y;
  FRadioButtonCheckRect.Bottom = y;
  int32_t x = cx - 2;
  while (isDot(x, cy)) --x;
  FRadioButtonCheckRect.Left = x + 1;
  x = FRadioButtonCheckRect.Left;
  while (isDot(x, cy)) ++x;
  FRadioButtonCheckRect.Right = x;
}

void TcxRadioButtonImageList::PrepareButtonMask() {
  FButtonMask = RadioBitmapsWhite(GetSize().cx, GetSize().cy);
  TcxCanvas canvas(FButtonMask->Canvas());
  canvas.Brush()->SetColor(clBlack);
  canvas.Pen()->SetColor(clBlack);
  InternalRoundRect(&canvas, TRect{0, 0, FRadioButtonSize.cx, FRadioButtonSize.cy});
}

void TcxRadioButtonImageList::PrepareRadioButtonPattern() {
  const int32_t w = FRadioButtonSize.cx, h = FRadioButtonSize.cy;
  FRadioButtonPattern.assign(static_cast<size_t>(std::max(0, h)),
                             std::vector<uint8_t>(std::max(0, w), rbpOutside));
  if (w <= 0 || h <= 0) return;
  auto& p = FRadioButtonPattern;
  // Below the diagonal from the top-right to the bottom-left corner: -1 above, 0 on it.
  auto side = [w, h](int32_t i, int32_t j) {
    const int64_t a = static_cast<int64_t>(h - 1) * (w - 1 - j), b = static_cast<int64_t>(i) * (w - 1);
    return a < b ? 1 : (a == b ? 0 : -1);
  };
  const int32_t middleCol = w / 2, middleRow = h / 2;
  auto setInner = [&](int32_t i, int32_t j) {
    const int s = side(i, j);
    p[i][j] = s > 0 || (s == 0 && j > middleCol) ? rbpInnerRingLowerRight : rbpInnerRingUpperLeft;
  };
  auto isBody = [&](int32_t i, int32_t j) {
    return p[i][j] == rbpBody || p[i][j] == rbpInnerRingUpperLeft || p[i][j] == rbpInnerRingLowerRight;
  };

  auto outline = RadioBitmapsWhite(w, h);
  {
    TcxCanvas canvas(outline->Canvas());
    canvas.Brush()->SetColor(clWhite);
    canvas.Pen()->SetColor(clBlack);
    InternalRoundRect(&canvas, TRect{0, 0, w, h});
  }
  for (int32_t i = 0; i < h; ++i)
    for (int32_t j = 0; j < w; ++j)
      if (ColorToRGB(outline->Canvas()->Pixels(j, i)) == 0)
        p[i][j] = side(i, j) > 0 ? rbpOuterRingLowerRight : rbpOuterRingUpperLeft;

  for (int32_t i = 1; i < h - 1; ++i) {
    for (int32_t j = middleCol; j >= 0 && p[i][j] == rbpOutside; --j) p[i][j] = rbpBody;
    for (int32_t j = middleCol + 1; j < w && p[i][j] == rbpOutside; ++j) p[i][j] = rbpBody;
  }

  // The inner ring: the body pixels next to the outer ring, row by row, then column by column.
  for (int32_t i = 1; i < h - 1; ++i) {
    if (!isBody(i, middleCol)) continue;
    if (i == 1 || i == h - 2) {
      for (int32_t j = 0; j < w; ++j)
        if (isBody(i, j)) setInner(i, j);
      continue;
    }
    int32_t j = middleCol;
    while (j > 0 && isBody(i, j - 1)) --j;
    setInner(i, j);
    j = middleCol;
    while (j < w - 1 && isBody(i, j + 1)) ++j;
    setInner(i, j);
  }
  for (int32_t j = 1; j < w - 1; ++j) {
    if (!isBody(middleRow, j)) continue;
    if (j == 1 || j == w - 2) {
      for (int32_t i = 0; i < h; ++i)
        if (isBody(i, j)) setInner(i, j);
      continue;
    }
    int32_t i = middleRow;
    while (i > 0 && isBody(i - 1, j)) --i;
    setInner(i, j);
    i = middleRow;
    while (i < h - 1 && isBody(i + 1, j)) ++i;
    setInner(i, j);
  }

  auto check = RadioBitmapsWhite(w, h);
  {
    TcxCanvas canvas(check->Canvas());
    canvas.Brush()->SetColor(clBlack);
    canvas.Pen()->SetColor(clBlack);
    InternalRoundRect(&canvas, cxRectOffset(FRadioButtonCheckRect, FRadioButtonRect.TopLeft(), false));
  }
  for (int32_t i = 0; i < h; ++i)
    for (int32_t j = 0; j < w; ++j)
      if (ColorToRGB(check->Canvas()->Pixels(j, i)) == 0) p[i][j] = rbpCheck;
}

std::array<TColor, 7> TcxRadioButtonImageList::GetColorMap(TcxLookAndFeelKind ALookAndFeelKind,
                                                           TcxButtonState AButtonState, bool AChecked,
                                                           bool AFocused, bool AIsDesigning) {
  const TcxButtonState state = AButtonState == cxbsDefault ? cxbsNormal : AButtonState;
  const bool disabled = state == cxbsDisabled;
  const bool active = AFocused || state == cxbsHot || state == cxbsPressed;
  const TColor body = RadioBitmapsBodyColor(ALookAndFeelKind, state);
  TColor dot = body;
  if (AChecked)
    dot = !disabled ? clWindowText
                    : (ALookAndFeelKind == lfOffice11 ? dxOffice11TextDisabledColor : clBtnShadow);
  std::array<TColor, 7> map{clBlack, clBtnShadow, clBtnHighlight, body, body, body, dot};
  switch (ALookAndFeelKind) {
    case lfFlat:
      map[rbpInnerRingUpperLeft] = map[rbpInnerRingLowerRight] = cl3DLight;
      break;
    case lfStandard:
      map[rbpInnerRingUpperLeft] = cl3DDkShadow;
      map[rbpInnerRingLowerRight] = cl3DLight;
      break;
    case lfUltraFlat:
      map[rbpOuterRingUpperLeft] = map[rbpOuterRingLowerRight] =
          active || (AIsDesigning && !disabled) ? clHighlight : clBtnShadow;
      break;
    case lfOffice11:
      map[rbpOuterRingUpperLeft] = map[rbpOuterRingLowerRight] =
          disabled ? dxOffice11TextDisabledColor
                   : (active || AIsDesigning ? dxOffice11SelectedBorderColor : clBtnText);
      break;
  }
  return map;
}

void TcxRadioButtonImageList::Prepare() {
  if (FList->Count() > 0) return;
  const int32_t w = GetSize().cx, h = GetSize().cy;
  FRadioButtonImageListIndexes.assign(128, -1);
  auto image = RadioBitmapsWhite(w, h);
  for (const bool focused : {false, true})
    for (const bool designing : {false, true})
      for (const TcxLookAndFeelKind kind : {lfFlat, lfStandard, lfUltraFlat, lfOffice11})
        for (const bool checked : {false, true})
          for (int32_t state = cxbsNormal; state <= cxbsDisabled; ++state) {
            const auto map =
                GetColorMap(kind, static_cast<TcxButtonState>(state), checked, focused, designing);
            for (int32_t i = 0; i < h && i < static_cast<int32_t>(FRadioButtonPattern.size()); ++i)
              for (int32_t j = 0; j < w && j < static_cast<int32_t>(FRadioButtonPattern[i].size()); ++j)
                image->Canvas()->SetPixels(j, i, map[FRadioButtonPattern[i][j]]);
            const int32_t combination = (state - 1) + 8 * kind + 4 * checked + 32 * designing + 64 * focused;
            FRadioButtonImageListIndexes[combination] = FList->Add(image.get(), FButtonMask.get());
          }
}

int32_t TcxRadioButtonImageList::GetImageIndex(TcxLookAndFeelKind ALookAndFeelKind,
                                               TcxButtonState AButtonState, bool AChecked, bool AFocused,
                                               bool AIsDesigning) const {
  // The default state has no images of its own: it looks like the normal one.
  const int32_t state = AButtonState == cxbsDefault ? cxbsNormal : AButtonState;
  const int32_t combination =
      (state - 1) + 8 * ALookAndFeelKind + 4 * AChecked + 32 * AIsDesigning + 64 * AFocused;
  return combination < static_cast<int32_t>(FRadioButtonImageListIndexes.size())
             ? FRadioButtonImageListIndexes[combination]
             : -1;
}

void TcxRadioButtonImageList::Draw(TcxCanvas* ACanvas, int32_t X, int32_t Y, TColor ABrushColor,
                                   TcxLookAndFeelKind ALookAndFeelKind, TcxButtonState AButtonState,
                                   bool AChecked, bool AFocused, bool AIsDesigning) {
  const int32_t index = GetImageIndex(ALookAndFeelKind, AButtonState, AChecked, AFocused, AIsDesigning);
  if (index < 0) return;
  if (ABrushColor == clDefault) {
    FList->Draw(ACanvas->Canvas(), X, Y, index);
    return;
  }
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(FList->Width(), FList->Height());
  bitmap.Canvas()->Brush()->SetColor(ABrushColor);
  bitmap.Canvas()->FillRect(TRect{0, 0, bitmap.Width(), bitmap.Height()});
  FList->Draw(bitmap.Canvas(), 0, 0, index);
  ACanvas->Draw(X, Y, &bitmap);
}

// --- TcxRadioButtonImageListManager -------------------------------------------------------------

TcxRadioButtonImageList* TcxRadioButtonImageListManager::Get(const TdxScaleFactor* AScaleFactor) {
  if (!FRadioButtonImageLists)
    FRadioButtonImageLists = new std::map<int32_t, std::unique_ptr<TcxRadioButtonImageList>>();
  auto& list = (*FRadioButtonImageLists)[TdxScaleFactorHelper::TargetDPI(AScaleFactor)];
  if (!list) list = std::make_unique<TcxRadioButtonImageList>(AScaleFactor);
  return list.get();
}

void TcxRadioButtonImageListManager::Reset() {
  if (FRadioButtonImageLists)
    for (auto& [dpi, list] : *FRadioButtonImageLists) list->Reset();
}

void TcxRadioButtonImageListManager::Finalize() {
  delete FRadioButtonImageLists;
  FRadioButtonImageLists = nullptr;
}

// --- Unit start-up ------------------------------------------------------------------------------

namespace cxLookAndFeelPaintersBitmaps {

void Initialize() {
  CalculateCheckButtonSize();
  CreateStdScrollBarBitmaps();
  if (TcxSystemPaletteChangedNotifier* notifier = cxLookAndFeelPainters::PrimaryPaletteNotifier())
    notifier->SetOnSystemPaletteChanged(TcxSystemPaletteChangedEvent(&TcxRadioButtonImageListManager::Reset));
}

void Finalize() {
  if (TcxSystemPaletteChangedNotifier* notifier = cxLookAndFeelPainters::PrimaryPaletteNotifier())
    notifier->SetOnSystemPaletteChanged(nullptr);
  TcxRadioButtonImageListManager::Finalize();
  DestroyStdScrollBarBitmaps();
}

}  // namespace cxLookAndFeelPaintersBitmaps

}  // namespace qd
