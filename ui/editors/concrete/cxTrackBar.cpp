// The track bar's settings, tick lists, layout calculation and painting.
#include "ui/editors/concrete/cxTrackBar.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "platform/base/format.h"
#include "platform/base/mathutil.h"
#include "platform/base/strings.h"
#include "ui/editors/cxEditConsts.h"
#include "ui/graphics/cxGraphicsBlend.h"
#include "ui/graphics/cxGraphicsPrint.h"
#include "ui/lookandfeel/dxFading.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxCustomTrackBarProperties)
QD_IMPLEMENT_CLASS(TcxTrackBarProperties)
QD_IMPLEMENT_CLASS(TcxTrackBarStyle)
QD_IMPLEMENT_CLASS(TcxTrackBarThumbFadingHelper)
QD_IMPLEMENT_CLASS(TcxTrackBarButtonFadingHelper)
QD_IMPLEMENT_CLASS(TcxTrackBarThumbViewInfo)
QD_IMPLEMENT_CLASS(TcxCustomTrackBarViewInfo)
QD_IMPLEMENT_CLASS(TcxCustomTrackBarViewData)

namespace {

// MulDiv over 64 bits: the product divided and rounded to the nearest integer, halves away
// from zero. The divisor is never 0 here.
int64_t MulDiv64(int64_t ANumber, int64_t ANumerator, int64_t ADenominator) {
  const long double q = static_cast<long double>(ANumber) * static_cast<long double>(ANumerator) /
                        static_cast<long double>(ADenominator);
  return static_cast<int64_t>(q < 0 ? -std::floor(-q + 0.5L) : std::floor(q + 0.5L));
}

int32_t ClampToInt32(int64_t AValue) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(AValue, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace

// --- Properties --------------------------------------------------------------------------------

TcxCustomTrackBarProperties::TcxCustomTrackBarProperties(TPersistent* AOwner)
    : TcxCustomEditProperties(AOwner) {}

int32_t TcxCustomTrackBarProperties::FixPosition(int32_t APosition) {
  return std::max(std::min(APosition, FMax), FMin);
}

int32_t TcxCustomTrackBarProperties::EditValueToPosition(const Variant& AEditValue) {
  if (VarIsNull(AEditValue) || VarIsEmpty(AEditValue)) return FMin;
  if (!VarIsNumeric(AEditValue) && !VarIsStr(AEditValue)) return FMin;
  try {
    if (VarIsFloat(AEditValue) || VarIsStr(AEditValue)) {
      const double value = VarIsStr(AEditValue) ? StrToFloat(VarToStr(AEditValue)) : AEditValue.AsDouble();
      if (std::isnan(value)) return FMin;
      return ClampToInt32(Round(std::clamp(value, -1e18, 1e18)));
    }
    return ClampToInt32(AEditValue.AsInt64());
  } catch (const Exception&) {
    // A text that is no number shows as Min instead of failing every paint.
    return FMin;
  }
}

void TcxCustomTrackBarProperties::SetMin(int32_t Value) {
  if (FMin == Value) return;
  FMin = Value;
  if (FMax < FMin) FMax = FMin;
  Changed();
}

void TcxCustomTrackBarProperties::SetMax(int32_t Value) {
  if (FMax == Value) return;
  FMax = Value;
  if (FMin > FMax) FMin = FMax;
  Changed();
}

void TcxCustomTrackBarProperties::ChangeScale(int32_t M, int32_t D) {
  TcxCustomEditProperties::ChangeScale(M, D);
  SetThumbHeight(MulDiv(FThumbHeight, M, D));
  SetThumbWidth(MulDiv(FThumbWidth, M, D));
  SetTrackSize(MulDiv(FTrackSize, M, D));
  SetTickSize(MulDiv(FTickSize, M, D));
}

TClass TcxCustomTrackBarProperties::GetContainerClass() const {
  return TcxTrackBar::StaticClass();
}

String TcxCustomTrackBarProperties::GetDisplayText(const Variant& AEditValue, bool, bool) {
  return IntToStr(FixPosition(EditValueToPosition(AEditValue)));
}

TcxEditSupportedOperations TcxCustomTrackBarProperties::GetSupportedOperations() {
  return TcxEditSupportedOperations{esoAlwaysHotTrack, esoEditing, esoFiltering, esoSorting, esoTransparency};
}

String TcxCustomTrackBarProperties::GetValidateErrorText(TcxEditErrorKind) {
  return cxGetResourceString(cxSEditValueOutOfBounds);
}

TClass TcxCustomTrackBarProperties::GetViewDataClass() const {
  return TcxCustomTrackBarViewData::StaticClass();
}

TClass TcxCustomTrackBarProperties::GetViewInfoClass() const {
  return TcxCustomTrackBarViewInfo::StaticClass();
}

void TcxCustomTrackBarProperties::PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue,
                                                      bool) {
  DisplayValue = Variant(FixPosition(EditValueToPosition(AEditValue)));
}

void TcxCustomTrackBarProperties::DoAssign(TcxCustomEditProperties* Source) {
  TcxCustomEditProperties::DoAssign(Source);
  auto* src = ObjectCast<TcxCustomTrackBarProperties>(Source);
  if (!src) return;
  SetAutoSize(src->FAutoSize);
  SetBorderWidth(src->FBorderWidth);
  SetFrequency(src->FFrequency);
  SetLineSize(src->FLineSize);
  SetPageSize(src->FPageSize);
  // Both bounds at once: setting them one by one could push one of them.
  if (FMin != src->FMin || FMax != src->FMax) {
    FMin = src->FMin;
    FMax = src->FMax;
    Changed();
  }
  SetOrientation(src->FOrientation);
  SetTextOrientation(src->FTextOrientation);
  SetReverseDirection(src->FReverseDirection);
  SetSelectionStart(src->FSelectionStart);
  SetSelectionEnd(src->FSelectionEnd);
  SetSelectionColor(src->FSelectionColor);
  SetShowChangeButtons(src->FShowChangeButtons);
  SetShowPositionHint(src->FShowPositionHint);
  SetShowTicks(src->FShowTicks);
  SetShowTrack(src->FShowTrack);
  SetThumbType(src->FThumbType);
  SetThumbStep(src->FThumbStep);
  TdxScaleFactor* scale = ScaleFactor();
  TdxScaleFactor* srcScale = src->ScaleFactor();
  SetThumbWidth(scale->Apply(src->FThumbWidth, srcScale));
  SetThumbHeight(scale->Apply(src->FThumbHeight, srcScale));
  SetThumbColor(src->FThumbColor);
  SetThumbHighlightColor(src->FThumbHighlightColor);
  SetTickColor(src->FTickColor);
  SetTickMarks(src->FTickMarks);
  SetTickSize(scale->Apply(src->FTickSize, srcScale));
  SetTickType(src->FTickType);
  SetTrackColor(src->FTrackColor);
  SetTrackSize(scale->Apply(src->FTrackSize, srcScale));
  FOnGetTickLabel = src->FOnGetTickLabel;
  FOnGetPositionHint = src->FOnGetPositionHint;
  FOnGetThumbRect = src->FOnGetThumbRect;
  FOnDrawThumb = src->FOnDrawThumb;
}

TcxContainerBorderStyle TcxTrackBarStyle::DefaultBorderStyle() {
  if (IsBaseStyle()) return cbsNone;
  return TcxEditStyle::DefaultBorderStyle();
}

// --- Tick lists --------------------------------------------------------------------------------

void TcxTrackBarTicks::AddSteps(int64_t AFrom, int64_t ALimit, int64_t AStep) {
  if (AStep <= 0 || AFrom + AStep >= ALimit) return;
  const int64_t count = (ALimit - 1 - AFrom) / AStep;
  FRuns.push_back(TRun{AFrom + AStep, AFrom + count * AStep, AStep});
}

int64_t TcxTrackBarTicks::Count() const {
  int64_t result = 0;
  for (const TRun& run : FRuns) result += run.Count();
  return result;
}

int32_t TcxTrackBarTicks::Item(int64_t AIndex) const {
  for (const TRun& run : FRuns) {
    if (AIndex < run.Count()) return static_cast<int32_t>(run.First + AIndex * run.Step);
    AIndex -= run.Count();
  }
  return 0;
}

bool TcxTrackBarTicks::Contains(int64_t AValue) const {
  for (const TRun& run : FRuns)
    if (AValue >= run.First && AValue <= run.Last && (AValue - run.First) % run.Step == 0) return true;
  return false;
}

// --- Thumbs ------------------------------------------------------------------------------------

TcxCustomEditViewInfo* TcxTrackBarThumbFadingHelper::GetEditViewInfo() {
  return FThumb->ViewInfo();
}

bool TcxTrackBarThumbFadingHelper::CanFade() {
  TcxCustomTrackBarViewInfo* viewInfo = FThumb->ViewInfo();
  return viewInfo->IsFadingAvailable() && GetEditOwner() && !FThumb->FullRect().IsEmpty();
}

void TcxTrackBarThumbFadingHelper::Invalidate() {
  TcxCustomTrackBarViewInfo* viewInfo = FThumb->ViewInfo();
  const TRect r =
      cxRectOffset(viewInfo->RealRect(FThumb->FullRect()), viewInfo->Bounds.Left, viewInfo->Bounds.Top);
  if (IcxEditOwner* owner = GetEditOwner()) owner->InvalidateRect(r, false);
}

void TcxTrackBarThumbFadingHelper::GetFadingImages(std::unique_ptr<TcxBitmap>& AFadeOutImage,
                                                   std::unique_ptr<TcxBitmap>& AFadeInImage) {
  TcxCustomTrackBarViewInfo* viewInfo = FThumb->ViewInfo();
  const TRect r = viewInfo->RealRect(FThumb->FullRect());
  auto render = [&](int32_t AState) {
    auto bitmap = std::make_unique<TcxBitmap32>(TRect{0, 0, r.Width(), r.Height()}, true);
    TcxCanvas* canvas = bitmap->cxCanvas();
    canvas->SetWindowOrg(r.TopLeft());
    viewInfo->DrawThumbImage(canvas, r, AState);
    canvas->SetWindowOrg(TPoint{});
    return std::unique_ptr<TcxBitmap>(bitmap.release());
  };
  AFadeOutImage = render(cxTrackBarThumbStateNormal);
  AFadeInImage = render(cxTrackBarThumbStateHot);
}

TcxCustomEditViewInfo* TcxTrackBarButtonFadingHelper::GetEditViewInfo() {
  return FViewInfo;
}

TRect TcxTrackBarButtonFadingHelper::ButtonRect() const {
  return FViewInfo->RealRect(FLeftButton ? FViewInfo->LeftButtonRect : FViewInfo->RightButtonRect);
}

bool TcxTrackBarButtonFadingHelper::CanFade() {
  return FViewInfo->IsFadingAvailable() && GetEditOwner() && !ButtonRect().IsEmpty();
}

void TcxTrackBarButtonFadingHelper::Invalidate() {
  if (IcxEditOwner* owner = GetEditOwner())
    owner->InvalidateRect(cxRectOffset(ButtonRect(), FViewInfo->Bounds.Left, FViewInfo->Bounds.Top), false);
}

void TcxTrackBarButtonFadingHelper::GetFadingImages(std::unique_ptr<TcxBitmap>& AFadeOutImage,
                                                    std::unique_ptr<TcxBitmap>& AFadeInImage) {
  const TRect r = ButtonRect();
  auto render = [&](TcxButtonState AState) {
    auto bitmap = std::make_unique<TcxBitmap32>(TRect{0, 0, r.Width(), r.Height()}, true);
    TcxCanvas* canvas = bitmap->cxCanvas();
    canvas->SetWindowOrg(r.TopLeft());
    FViewInfo->DrawChangeButton(canvas, FLeftButton, r, AState);
    canvas->SetWindowOrg(TPoint{});
    return std::unique_ptr<TcxBitmap>(bitmap.release());
  };
  AFadeOutImage = render(cxbsNormal);
  AFadeInImage = render(cxbsHot);
}

TcxTrackBarThumbViewInfo::TcxTrackBarThumbViewInfo(TcxCustomTrackBarViewInfo* AViewInfo)
    : FViewInfo(AViewInfo) {}

TcxTrackBarThumbViewInfo::~TcxTrackBarThumbViewInfo() = default;

void TcxTrackBarThumbViewInfo::Assign(TcxTrackBarThumbViewInfo* Source) {
  FPosition = Source->FPosition;
  FState = Source->FState;
  FBounds = Source->FBounds;
  FFullRect = Source->FFullRect;
}

TcxTrackBarThumbFadingHelper* TcxTrackBarThumbViewInfo::CreateFadingHelper() {
  return new TcxTrackBarThumbFadingHelper(this);
}

void TcxTrackBarThumbViewInfo::SetState(int32_t Value) {
  if (FState == Value) return;
  const int32_t old = FState;
  FState = Value;
  if (!dxFader()) return;
  if (!FFadingHelper) FFadingHelper.reset(CreateFadingHelper());
  FFadingHelper->CheckStartFading(TrackBarStateToButtonStates[old], TrackBarStateToButtonStates[Value]);
}

// --- View info ---------------------------------------------------------------------------------

TcxCustomTrackBarViewInfo::TcxCustomTrackBarViewInfo()
    : FOrientationHelper(std::make_unique<TcxHorizontalTrackBarViewInfoHelper>()),
      FPositionHintHelper(std::make_unique<TcxTrackBarPositionHintHelper>(this)),
      FTBBitmap(std::make_unique<TcxBitmap32>()) {
  CreateThumbs();
}

TcxCustomTrackBarViewInfo::~TcxCustomTrackBarViewInfo() {
  FPositionHintHelper.reset();
  FButtonLeftFadingHelper.reset();
  FButtonRightFadingHelper.reset();
  DestroyThumbs();
}

void TcxCustomTrackBarViewInfo::CreateThumbs() {
  AddThumbs();
}

void TcxCustomTrackBarViewInfo::AddThumbs() {
  FThumbs.emplace_back(CreateThumbViewInfo());
}

void TcxCustomTrackBarViewInfo::DestroyThumbs() {
  FHotThumb = nullptr;
  FPressedThumb = nullptr;
  FThumbs.clear();
}

TcxTrackBarThumbViewInfo* TcxCustomTrackBarViewInfo::CreateThumbViewInfo() {
  return new TcxTrackBarThumbViewInfo(this);
}

void TcxCustomTrackBarViewInfo::Assign(TObject* Source) {
  TcxCustomTextEditViewInfo::Assign(Source);
  auto* src = dynamic_cast<TcxCustomTrackBarViewInfo*>(Source);
  if (!src) return;
  Min = src->Min;
  Max = src->Max;
  Frequency = src->Frequency;
  ReverseDirection = src->ReverseDirection;
  ShowChangeButtons = src->ShowChangeButtons;
  TrackBarBorderWidth = src->TrackBarBorderWidth;
  TickColor = src->TickColor;
  TickMarks = src->TickMarks;
  TickType = src->TickType;
  TickSize = src->TickSize;
  if (Orientation != src->Orientation) {
    Orientation = src->Orientation;
    RecreateOrientationHelper();
  }
  TextOrientation = src->TextOrientation;
  LookAndFeelKind = src->LookAndFeelKind;
  ThumbSize = src->ThumbSize;
  ThumbLargeSize = src->ThumbLargeSize;
  PixelsPerPositionStep = src->PixelsPerPositionStep;
  MouseStates = src->MouseStates;
  RealTrackBarRect = src->RealTrackBarRect;
  TrackBarRect = src->TrackBarRect;
  TrackZoneRect = src->TrackZoneRect;
  TrackRect = src->TrackRect;
  LeftButtonRect = src->LeftButtonRect;
  RightButtonRect = src->RightButtonRect;
  ThumbRect = src->ThumbRect;
  VisibleThumbRect = src->VisibleThumbRect;
  SelectionRect = src->SelectionRect;
  FocusRect = src->FocusRect;
  FMajorTicks = src->FMajorTicks;
  FMinorTicks = src->FMinorTicks;
  FShowSelection = src->FShowSelection;
  FSelectionStart = src->FSelectionStart;
  FSelectionEnd = src->FSelectionEnd;
  FTrackSize = src->FTrackSize;
  FThumbWidth = src->FThumbWidth;
  FThumbHeight = src->FThumbHeight;
  FPropTransparent = src->FPropTransparent;
  FButtonLeftState = src->FButtonLeftState;
  FButtonRightState = src->FButtonRightState;
  for (int32_t i = 0; i < std::min(ThumbCount(), src->ThumbCount()); ++i)
    GetThumb(i)->Assign(src->GetThumb(i));
}

HRGN TcxCustomTrackBarViewInfo::GetUpdateRegion(TcxContainerViewInfo*) {
  // The whole bar is one off-screen picture: any change repaints all of it.
  return CreateRectRgn(Bounds.Left, Bounds.Top, Bounds.Right, Bounds.Bottom);
}

void TcxCustomTrackBarViewInfo::RecreateOrientationHelper() {
  if (Orientation == tboHorizontal)
    FOrientationHelper = std::make_unique<TcxHorizontalTrackBarViewInfoHelper>();
  else
    FOrientationHelper = std::make_unique<TcxVerticalTrackBarViewInfoHelper>();
}

bool TcxCustomTrackBarViewInfo::IsSkinPainter() const {
  return Painter && Painter->LookAndFeelStyle() == lfsSkin;
}

TRect TcxCustomTrackBarViewInfo::RealThumbBounds(TcxTrackBarThumbViewInfo* AThumb) const {
  return RealRect(AThumb->Bounds());
}

int32_t TcxCustomTrackBarViewInfo::GetOffset(int32_t APosition) {
  const int64_t offset = MulDiv64(static_cast<int64_t>(APosition) - Min, PixelsPerPositionStep.Numerator,
                                  PixelsPerPositionStep.Denominator);
  return ClampToInt32(offset + ThumbSize / 2);
}

int32_t TcxCustomTrackBarViewInfo::GetCoordinate(int32_t APosition) {
  const int64_t offset = GetOffset(APosition);
  return ClampToInt32(ReverseDirection ? TrackRect.Right - offset : TrackRect.Left + offset);
}

bool TcxCustomTrackBarViewInfo::IsTickText(int32_t AValue) {
  return AValue == Min || AValue == Max || AValue == Position();
}

void TcxCustomTrackBarViewInfo::PopulateMajorTicks() {
  FMajorTicks.Clear();
  FMajorTicks.Add(Min);
  if (Max != Min) FMajorTicks.Add(Max);
}

void TcxCustomTrackBarViewInfo::PopulateMinorTicks() {
  FMinorTicks.Clear();
  FMinorTicks.AddSteps(Min, Max, Frequency);
}

void TcxCustomTrackBarViewInfo::UpdateTrackBarState() {
  int32_t state = cxTrackBarThumbStateDisabled;
  if (Enabled) {
    if (MouseStates.Contains(tbmpSliding))
      state = cxTrackBarThumbStatePressed;
    else if (MouseStates.Contains(tbmpUnderThumb))
      state = cxTrackBarThumbStateHot;
    else
      state = cxTrackBarThumbStateNormal;
  }
  for (int32_t i = 0; i < ThumbCount(); ++i) GetThumb(i)->SetState(state);
  if (!Enabled) {
    FButtonLeftState = cxbsDisabled;
    FButtonRightState = cxbsDisabled;
  } else if (FButtonLeftState == cxbsDisabled && FButtonRightState == cxbsDisabled) {
    FButtonLeftState = cxbsNormal;
    FButtonRightState = cxbsNormal;
  }
}

int32_t TcxCustomTrackBarViewInfo::GetPositionAfterJump(int32_t X, int32_t Y) {
  const int64_t offset =
      FOrientationHelper->GetCurrentMousePos(TPoint{X, Y}) - TrackRect.Left - VisibleThumbRect.Width() / 2;
  // A track no wider than the thumb has no pixels to divide by: the position stays.
  if (Pixels() <= 0) return Position();
  const int64_t positions = MulDiv64(offset, Positions(), Pixels());
  return ClampToInt32(ReverseDirection ? Max - positions : Min + positions);
}

int32_t TcxCustomTrackBarViewInfo::GetCalculatedPosition(int32_t APosition, bool AIncrease, bool ALineSize,
                                                         bool ASnap) {
  TcxCustomTrackBarProperties* properties = TrackBarProperties();
  const int64_t step = ALineSize ? properties->LineSize() : properties->PageSize();
  const bool up = ReverseDirection ? !AIncrease : AIncrease;
  int64_t result = up ? static_cast<int64_t>(APosition) + step : static_cast<int64_t>(APosition) - step;
  if (ASnap) {
    // Onto the grid Min + k × step: down when moving up, up when moving down.
    const int64_t k = result - Min;
    int64_t q = k / step;
    if (up) {
      if (k % step != 0 && k < 0) --q;
    } else if (k % step != 0 && k > 0) {
      ++q;
    }
    result = Min + q * step;
  }
  return ClampToInt32(result);
}

String TcxCustomTrackBarViewInfo::GetDefaultPositionHintText() {
  return IntToStr(Position());
}

void TcxCustomTrackBarViewInfo::DoGetPositionHint(String& AText, bool& ACanShow, bool& AIsMultiLine) {
  AText = GetDefaultPositionHintText();
  ACanShow = true;
  AIsMultiLine = false;
  TcxCustomTrackBarProperties* properties = TrackBarProperties();
  if (properties && properties->OnGetPositionHint()) {
    TObject* sender = Edit() ? static_cast<TObject*>(Edit()) : Owner;
    properties->OnGetPositionHint()(sender, Position(), AText, ACanShow, AIsMultiLine);
  }
}

TcxTrackBarThumbViewInfo* TcxCustomTrackBarViewInfo::GetNearestThumb(const TPoint& P) {
  TcxTrackBarThumbViewInfo* result = nullptr;
  int64_t best = 0;
  for (int32_t i = 0; i < ThumbCount(); ++i) {
    const TRect r = RealThumbBounds(GetThumb(i));
    const int64_t dx = P.X - (r.Left + r.Right) / 2, dy = P.Y - (r.Top + r.Bottom) / 2;
    const int64_t distance = dx * dx + dy * dy;
    if (!result || distance < best) {
      result = GetThumb(i);
      best = distance;
    }
  }
  return result;
}

TcxTrackBarThumbViewInfo* TcxCustomTrackBarViewInfo::GetThumbFromPos(const TPoint& P) {
  for (int32_t i = 0; i < ThumbCount(); ++i)
    if (cxRectPtIn(RealThumbBounds(GetThumb(i)), P)) return GetThumb(i);
  return nullptr;
}

bool TcxCustomTrackBarViewInfo::IsPtToTheRightFromThumb(const TPoint& P, TcxTrackBarThumbViewInfo* AThumb) {
  const TRect r = RealThumbBounds(AThumb);
  return FOrientationHelper->IsHorizontal() ? P.X >= r.Right : P.Y >= r.Bottom;
}

bool TcxCustomTrackBarViewInfo::IsPtToTheLeftFromThumb(const TPoint& P, TcxTrackBarThumbViewInfo* AThumb) {
  const TRect r = RealThumbBounds(AThumb);
  return FOrientationHelper->IsHorizontal() ? P.X < r.Left : P.Y < r.Top;
}

// --- Position hint (view info side)

TRect TcxCustomTrackBarViewInfo::GetPositionHintTextRect(const String& AText, bool AIsMultiLine) {
  TcxScreenCanvas* canvas = cxScreenCanvas();
  if (Font) canvas->Font()->Assign(Font);
  const TSize size = canvas->TextExtent(AText);
  canvas->Dormant();
  TRect reference = ThumbRect;
  if (FHotThumb)
    reference = FHotThumb->Bounds();
  else if (FPressedThumb)
    reference = FPressedThumb->Bounds();
  const int32_t across = FOrientationHelper->GetPositionHintSize(size);
  const int32_t along = FOrientationHelper->IsHorizontal() ? size.cx : size.cy;
  TRect r;
  r.Left = reference.Left;
  r.Top = TickMarks == cxtmTopLeft ? reference.Bottom + 10 : reference.Top - across - 10;
  r.Right = r.Left + (AIsMultiLine ? reference.Width() / 2 : along);
  r.Bottom = r.Top + across;
  return cxRectOffset(RealRect(r), Bounds.Left, Bounds.Top);
}

void TcxCustomTrackBarViewInfo::ProcessPositionHint() {
  TcxCustomTrackBarProperties* properties = TrackBarProperties();
  if (!properties || !properties->ShowPositionHint()) {
    FPositionHintHelper->CancelHint();
    return;
  }
  FPositionHintHelper->StopHidingTimer();
  String text;
  bool canShow = true, multiLine = false;
  DoGetPositionHint(text, canShow, multiLine);
  if (!canShow) {
    FPositionHintHelper->CancelHint();
    return;
  }
  const TRect area = cxRectOffset(RealRect(TrackBarRect), Bounds.Left, Bounds.Top);
  FPositionHintHelper->ShowHint(area, GetPositionHintTextRect(text, multiLine), Font, this, multiLine, text);
}

void TcxCustomTrackBarViewInfo::SchedulePositionHintHiding() {
  FPositionHintHelper->ScheduleHiding();
}

// --- Painting

void TcxCustomTrackBarViewInfo::DrawTrackBarBackground(TcxCanvas* ABitmapCanvas, TcxCanvas* ACanvas) {
  const bool transparent = FPropTransparent;
  if (!transparent && IsInplace) {
    bool handled = false;
    if (OnDrawBackground) OnDrawBackground(this, ABitmapCanvas, handled);
    if (!handled) ABitmapCanvas->FillRect(Bounds, BackgroundColor());
  } else if (!transparent) {
    const bool native = NativeStyle || UseSkins;
    if (!native || IsDesigning || !Edit())
      DrawCustomEdit(ABitmapCanvas, true, false);
    else
      cxDrawTransparentControlBackground(Edit(), ABitmapCanvas, Bounds);
  } else if (IsInplace || IsDBEditPaintCopyDrawing || !Edit()) {
    cxBitBlt(ABitmapCanvas->Handle(), ACanvas->Handle(), Bounds, Bounds.TopLeft(), SRCCOPY);
  } else {
    cxDrawTransparentControlBackground(Edit(), ABitmapCanvas, Bounds);
  }
}

void TcxCustomTrackBarViewInfo::Paint(TcxCanvas* ACanvas) {
  if (OnPaint) OnPaint(this, ACanvas);
  if (Bounds.IsEmpty()) return;
  FTBBitmap->SetSize(Bounds.Width(), Bounds.Height());
  TcxCanvas* canvas = FTBBitmap->cxCanvas();
  // The bitmap holds the bounds: the view info's coordinates work unchanged on it.
  canvas->SetWindowOrg(Bounds.TopLeft());
  DrawTrackBarBackground(canvas, ACanvas);
  canvas->SaveDC();
  // The track bar's rectangles are relative to the bounds.
  canvas->SetWindowOrg(TPoint{0, 0});
  canvas->IntersectClipRect(RealTrackBarRect);
  canvas->SetTextFlags(ACanvas->TextFlags());
  PaintTrackBar(canvas);
  canvas->RestoreDC();
  canvas->SetWindowOrg(TPoint{0, 0});
  cxBitBlt(ACanvas->Handle(), canvas->Handle(), Bounds, TPoint{0, 0}, SRCCOPY);
  DrawCustomEditValidationMark(ACanvas);
  OnAfterDrawValue(this, ACanvas);
}

void TcxCustomTrackBarViewInfo::PaintTrackBar(TcxCanvas* ACanvas) {
  TcxCustomTrackBarProperties* properties = TrackBarProperties();
  if (ShowChangeButtons) DrawChangeButtons(ACanvas);
  if (properties->ShowTrack()) {
    DrawTrack(ACanvas);
    if (FShowSelection && !IsSkinPainter()) DrawSelection(ACanvas);
  }
  if (properties->ShowTicks()) DrawTicks(ACanvas);
  DrawThumb(ACanvas);
}

void TcxCustomTrackBarViewInfo::SetButtonState(bool ALeftButton, TcxButtonState Value) {
  TcxButtonState& state = ALeftButton ? FButtonLeftState : FButtonRightState;
  if (state == Value) return;
  const TcxButtonState old = state;
  state = Value;
  if (!dxFader()) return;
  auto& helper = ALeftButton ? FButtonLeftFadingHelper : FButtonRightFadingHelper;
  if (!helper) helper = std::make_unique<TcxTrackBarButtonFadingHelper>(this, ALeftButton);
  helper->CheckStartFading(old, Value);
}

void TcxCustomTrackBarViewInfo::DrawChangeButton(TcxCanvas* ACanvas, bool ALeftButton, const TRect& ARect,
                                                 TcxButtonState AState) {
  if (!Painter) return;
  // The zoom-out button sits at the low end: on the right of a reversed bar.
  if (ALeftButton != ReverseDirection)
    Painter->DrawScaledZoomOutButton(ACanvas, ARect, AState, ScaleFactor());
  else
    Painter->DrawScaledZoomInButton(ACanvas, ARect, AState, ScaleFactor());
}

void TcxCustomTrackBarViewInfo::DrawChangeButtons(TcxCanvas* ACanvas) {
  for (const bool left : {true, false}) {
    const TRect r = RealRect(left ? LeftButtonRect : RightButtonRect);
    TcxTrackBarButtonFadingHelper* fading = (left ? FButtonLeftFadingHelper : FButtonRightFadingHelper).get();
    if (fading && fading->GetActive() && fading->DrawImage(ACanvas->Handle(), r)) continue;
    DrawChangeButton(ACanvas, left, r, left ? FButtonLeftState : FButtonRightState);
  }
}

void TcxCustomTrackBarViewInfo::DrawTrack(TcxCanvas* ACanvas) {
  if (!Painter) return;
  TRect track = TrackRect;
  if (!IsSkinPainter()) FOrientationHelper->InflateTrackRect(track);
  Painter->DrawTrackBarScaledTrack(ACanvas, RealRect(track), RealRect(SelectionRect), FShowSelection, Enabled,
                                   FOrientationHelper->IsHorizontal(), TrackBarProperties()->TrackColor(),
                                   ScaleFactor());
}

void TcxCustomTrackBarViewInfo::DrawSelection(TcxCanvas* ACanvas) {
  ACanvas->FillRect(RealRect(SelectionRect), TrackBarProperties()->SelectionColor());
}

bool TcxCustomTrackBarViewInfo::TickHasLine(int32_t AValue) {
  return TickType == tbttTicks || TickType == tbttTicksAndNumbers ||
         (TickType == tbttValueNumber && !IsTickText(AValue));
}

bool TcxCustomTrackBarViewInfo::TickHasLabel(int32_t AValue) {
  return TickType == tbttNumbers || TickType == tbttTicksAndNumbers ||
         (TickType == tbttValueNumber && IsTickText(AValue));
}

void TcxCustomTrackBarViewInfo::DrawTickLine(TcxCanvas* ACanvas, int32_t AValue, bool AMajor) {
  const int32_t x = GetCoordinate(AValue);
  const int32_t length = TickSize + (AMajor && TickType == tbttTicks ? TickSize / 2 : 0);
  auto line = [&](int32_t AFrom, int32_t ATo) {
    const TPoint p1 = FOrientationHelper->GetRealPoint(TPoint{x, AFrom});
    const TPoint p2 = FOrientationHelper->GetRealPoint(TPoint{x, ATo});
    ACanvas->MoveTo(p1.X, p1.Y);
    ACanvas->LineTo(p2.X, p2.Y);
  };
  if (TickMarks != cxtmTopLeft) line(ThumbRect.Bottom + 2, ThumbRect.Bottom + 2 + length);
  if (TickMarks != cxtmBottomRight) line(ThumbRect.Top - length - 1, ThumbRect.Top - 1);
}

void TcxCustomTrackBarViewInfo::DrawTickLabel(TcxCanvas* ACanvas, int32_t AValue) {
  String text = IntToStr(AValue);
  TcxCustomTrackBarProperties* properties = TrackBarProperties();
  if (properties->OnGetTickLabel()) {
    TObject* sender = Edit() ? static_cast<TObject*>(Edit()) : Owner;
    properties->OnGetTickLabel()(sender, AValue, text);
  }
  if (text.empty()) return;
  const TSize size = ACanvas->TextExtent(text);
  const bool matching = TrackBarTextOrientationToOrientation[TextOrientation] == Orientation;
  const int32_t along = matching ? size.cx : size.cy;
  const int32_t across = matching ? size.cy : size.cx;
  int32_t distance = (matching ? 0 : 1) + 1;
  if (TickType == tbttTicksAndNumbers) distance += TickSize + 2;
  const int32_t x = GetCoordinate(AValue) - along / 2;
  auto drawAt = [&](int32_t ATop) {
    const TRect r = RealRect(TRect{x, ATop, x + along, ATop + across});
    if (!ACanvas->RectFullyVisible(r)) return;
    ACanvas->DrawTexT(text, r, cxAlignHCenter | cxAlignVCenter | cxSingleLine, true,
                      TrackBarTextOrientationToRotationAngle[TextOrientation]);
    ACanvas->ExcludeClipRect(r);
  };
  if (TickMarks != cxtmTopLeft) drawAt(ThumbRect.Bottom + distance);
  if (TickMarks != cxtmBottomRight) drawAt(ThumbRect.Top - distance - across);
}

void TcxCustomTrackBarViewInfo::DrawTicks(TcxCanvas* ACanvas) {
  ACanvas->Brush()->SetColor(clBtnFace);
  ACanvas->Brush()->SetStyle(bsClear);
  ACanvas->Font()->Assign(Font);
  if (IsSkinPainter()) {
    ACanvas->Font()->SetColor(Painter->TrackBarTicksColor(true));
    ACanvas->Pen()->SetColor(Painter->TrackBarTicksColor(false));
  } else {
    ACanvas->Font()->SetColor(TextColor);
    ACanvas->Pen()->SetColor(TickColor);
  }
  for (const TcxTrackBarTicks::TRun& run : FMajorTicks.Runs()) {
    const int32_t value = static_cast<int32_t>(run.First);
    if (TickHasLine(value)) DrawTickLine(ACanvas, value, true);
    if (TickHasLabel(value)) DrawTickLabel(ACanvas, value);
  }
  // The minor passes skip ticks within a pixel of the last one drawn. Coordinates grow (or
  // shrink, reversed) with the value, so the next tick worth drawing is found by bisection.
  auto pass = [&](auto ADraw) {
    int32_t last = GetCoordinate(Min);
    for (const TcxTrackBarTicks::TRun& run : FMinorTicks.Runs()) {
      const int64_t count = run.Count();
      int64_t k = 0;
      while (k < count) {
        const auto far = [&](int64_t AIndex) {
          return std::abs(static_cast<int64_t>(
                              GetCoordinate(static_cast<int32_t>(run.First + AIndex * run.Step))) -
                          last) > 1;
        };
        if (!far(k)) {
          int64_t lo = k + 1, hi = count;
          while (lo < hi) {
            const int64_t mid = lo + (hi - lo) / 2;
            if (far(mid))
              hi = mid;
            else
              lo = mid + 1;
          }
          k = lo;
          if (k >= count) break;
        }
        const int32_t value = static_cast<int32_t>(run.First + k * run.Step);
        ADraw(value);
        last = GetCoordinate(value);
        ++k;
      }
    }
  };
  pass([&](int32_t AValue) {
    if (TickHasLabel(AValue)) DrawTickLabel(ACanvas, AValue);
  });
  pass([&](int32_t AValue) {
    if (TickHasLine(AValue)) DrawTickLine(ACanvas, AValue, false);
  });
}

TColor TcxCustomTrackBarViewInfo::GetThumbColor(int32_t AState) {
  TcxCustomTrackBarProperties* properties = TrackBarProperties();
  if (AState == cxTrackBarThumbStateHot || AState == cxTrackBarThumbStatePressed) {
    if (LookAndFeelKind == lfUltraFlat || LookAndFeelKind == lfOffice11)
      return GetEditButtonHighlightColor(AState == cxTrackBarThumbStatePressed,
                                         LookAndFeelKind == lfOffice11);
    return properties->ThumbHighlightColor();
  }
  if (AState == cxTrackBarThumbStateDisabled) return clBtnShadow;
  return properties->ThumbColor();
}

void TcxCustomTrackBarViewInfo::DrawThumb(TcxCanvas* ACanvas, const TRect& ARect, int32_t AState) {
  if (!Painter) return;
  Painter->DrawTrackBarScaledThumb(ACanvas, ARect, TrackBarStateToButtonStates[AState],
                                   FOrientationHelper->IsHorizontal(), TrackBarTicksToTicksAlign[TickMarks],
                                   GetThumbColor(AState), ScaleFactor());
}

void TcxCustomTrackBarViewInfo::DrawThumbImage(TcxCanvas* ACanvas, const TRect& ARect, int32_t AState) {
  DrawThumb(ACanvas, ARect, AState);
}

void TcxCustomTrackBarViewInfo::DrawCustomThumb(TcxCanvas* ACanvas) {
  TcxCustomTrackBarProperties* properties = TrackBarProperties();
  if (properties->OnDrawThumb()) properties->OnDrawThumb()(properties, ACanvas, RealRect(ThumbRect));
}

void TcxCustomTrackBarViewInfo::DrawThumb(TcxCanvas* ACanvas) {
  switch (TrackBarProperties()->ThumbType()) {
    case cxttNone:
      break;
    case cxttCustom:
      DrawCustomThumb(ACanvas);
      break;
    case cxttRegular:
      for (int32_t i = 0; i < ThumbCount(); ++i) {
        TcxTrackBarThumbViewInfo* thumb = GetThumb(i);
        const TRect r = RealRect(thumb->FullRect());
        TcxTrackBarThumbFadingHelper* fading = thumb->FadingHelper();
        if (fading && fading->GetActive() && fading->DrawImage(ACanvas->Handle(), r)) continue;
        DrawThumb(ACanvas, r, thumb->State());
      }
      break;
  }
}

// --- View data ---------------------------------------------------------------------------------

TcxGetThumbRectEvent TcxCustomTrackBarViewData::GetThumbRectEvent() const {
  TcxCustomTrackBarProperties* properties = TrackBarProperties();
  if (Edit()) {
    auto* own = dynamic_cast<TcxCustomTrackBarProperties*>(Edit()->Properties());
    if (own && own->OnGetThumbRect()) return own->OnGetThumbRect();
  }
  return properties->OnGetThumbRect();
}

bool TcxCustomTrackBarViewData::GetCustomThumbRect(TcxCustomTrackBarViewInfo* AViewInfo, TRect& ARect) {
  const TcxGetThumbRectEvent handler = GetThumbRectEvent();
  if (TrackBarProperties()->ThumbType() != cxttCustom || !handler) return false;
  TRect r{};
  handler(TrackBarProperties(), r);
  ARect = AViewInfo->RealRect(r);
  return true;
}

void TcxCustomTrackBarViewData::Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                          TcxMouseButton Button, TShiftState Shift,
                                          TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) {
  FOwnerTransparent = AViewInfo->Transparent;
  TcxCustomEditViewData::Calculate(ACanvas, ABounds, P, Button, Shift, AViewInfo, AIsMouseEvent);
  auto* viewInfo = static_cast<TcxCustomTrackBarViewInfo*>(AViewInfo);
  viewInfo->IsEditClass = false;
  viewInfo->DrawSelectionBar = false;
  viewInfo->HasPopupWindow = false;
  viewInfo->DrawTextFlags = 0;
  viewInfo->LookAndFeelKind = Style()->LookAndFeel()->Kind();
  viewInfo->UpdateTrackBarState();
  UpdateValue(viewInfo);
  CalculateTrackBarViewInfoProperties(viewInfo);
  viewInfo->TextRect = viewInfo->ClientRect;
  viewInfo->Text = IntToStr(viewInfo->Position());
  if (Focused && !IsInplace() && !viewInfo->Text.empty())
    viewInfo->FocusRect = cxRectInflate(viewInfo->TextRect, 1);
  else
    viewInfo->FocusRect = TRect{};
  if (ACanvas) {
    ACanvas->Font()->Assign(viewInfo->Font);
    CalculateCustomTrackBarRects(ACanvas, viewInfo);
  } else {
    TcxScreenCanvas* canvas = cxScreenCanvas();
    canvas->Font()->Assign(viewInfo->Font);
    CalculateCustomTrackBarRects(canvas, viewInfo);
    canvas->Dormant();
  }
}

void TcxCustomTrackBarViewData::UpdateValue(TcxCustomTrackBarViewInfo* AViewInfo) {
  if (!Edit() || AViewInfo->IsDBEditPaintCopyDrawing) return;
  TcxCustomTrackBarProperties* properties = TrackBarProperties();
  AViewInfo->SetPosition(properties->FixPosition(properties->EditValueToPosition(Edit()->EditValue())));
}

void TcxCustomTrackBarViewData::CalculateTrackBarViewInfoProperties(TcxCustomTrackBarViewInfo* AViewInfo) {
  TcxCustomTrackBarProperties* properties = TrackBarProperties();
  AViewInfo->Frequency = properties->Frequency();
  AViewInfo->Min = properties->Min();
  AViewInfo->Max = properties->Max();
  AViewInfo->ShowChangeButtons = properties->ShowChangeButtons();
  AViewInfo->TrackBarBorderWidth = properties->BorderWidth();
  AViewInfo->ReverseDirection = properties->ReverseDirection();
  if (UseRightToLeftAlignment && properties->Orientation() == tboHorizontal)
    AViewInfo->ReverseDirection = !AViewInfo->ReverseDirection;
  TdxScaleFactor* scale = AViewInfo->ScaleFactor();
  TdxScaleFactor* source = properties->ScaleFactor();
  AViewInfo->FTrackSize = scale->Apply(properties->TrackSize(), source);
  AViewInfo->TickSize = scale->Apply(properties->TickSize(), source);
  AViewInfo->FThumbHeight = scale->Apply(properties->ThumbHeight(), source);
  AViewInfo->FThumbWidth = scale->Apply(properties->ThumbWidth(), source);
  AViewInfo->TickColor = Enabled ? properties->TickColor() : clBtnShadow;
  AViewInfo->TickType = properties->TickType();
  AViewInfo->TickMarks = properties->TickMarks();
  if (AViewInfo->Orientation != properties->Orientation()) {
    AViewInfo->Orientation = properties->Orientation();
    AViewInfo->RecreateOrientationHelper();
  }
  AViewInfo->TextOrientation = properties->TextOrientation();
  // An in-place bar, or one an owner draws without a control, keeps the flag its owner gave it.
  AViewInfo->FPropTransparent =
      (IsInplace() || !Edit()) ? (AViewInfo->Transparent || FOwnerTransparent) : Edit()->Transparent();
  AViewInfo->PopulateMajorTicks();
  AViewInfo->PopulateMinorTicks();
  UpdateSelection(AViewInfo);
}

void TcxCustomTrackBarViewData::UpdateSelection(TcxCustomTrackBarViewInfo* AViewInfo) {
  TcxCustomTrackBarProperties* properties = TrackBarProperties();
  AViewInfo->FSelectionStart = properties->FixPosition(properties->SelectionStart());
  AViewInfo->FSelectionEnd = properties->FixPosition(properties->SelectionEnd());
  AViewInfo->FShowSelection = AViewInfo->FSelectionStart < AViewInfo->FSelectionEnd;
}

void TcxCustomTrackBarViewData::CalculateCustomTrackBarRects(TcxCanvas* ACanvas,
                                                             TcxCustomTrackBarViewInfo* AViewInfo) {
  CalculateTrackBarRect(AViewInfo);
  CalculateTrackZoneRect(ACanvas, AViewInfo);
  CalculateTrackSize(AViewInfo);
  CalculateButtonLeftRect(AViewInfo);
  CalculateButtonRightRect(AViewInfo);
  CalculateTrackRect(AViewInfo);
  CalculateThumbSize(AViewInfo);
  CalculatePixelsPerPositionStep(AViewInfo);
  CalculateThumbRect(ACanvas, AViewInfo);
  CalculateSelectionRect(AViewInfo);
}

void TcxCustomTrackBarViewData::CalculateTrackBarRect(TcxCustomTrackBarViewInfo* AViewInfo) {
  AViewInfo->RealTrackBarRect =
      cxRectOffset(AViewInfo->ClientRect, -AViewInfo->Bounds.Left, -AViewInfo->Bounds.Top);
  AViewInfo->TrackBarRect = AViewInfo->RealRect(AViewInfo->RealTrackBarRect);
  const TRect& r = AViewInfo->TrackBarRect;
  AViewInfo->TrackBarBorderWidth =
      std::max(0, std::min({TrackBarProperties()->BorderWidth(), r.Width() / 2, r.Height() / 2}));
}

int32_t TcxCustomTrackBarViewData::GetLabelSize(TcxCanvas* ACanvas, TcxCustomTrackBarViewInfo* AViewInfo) {
  const String minText = IntToStr(AViewInfo->Min), maxText = IntToStr(AViewInfo->Max);
  if (TrackBarTextOrientationToOrientation[AViewInfo->TextOrientation] == AViewInfo->Orientation)
    return ACanvas->TextHeight(minText);
  return ACanvas->TextWidth(maxText.size() > minText.size() ? maxText : minText);
}

int32_t TcxCustomTrackBarViewData::CalculateTickSize(TcxCanvas* ACanvas, TcxCustomTrackBarViewInfo* AViewInfo,
                                                     bool ATopSide) {
  const TcxTrackBarTickMarks marks = AViewInfo->TickMarks;
  const bool hasTicks = ATopSide ? marks != cxtmBottomRight : marks != cxtmTopLeft;
  int32_t size = 0, label = 0;
  if (hasTicks) {
    size = AViewInfo->TickSize + 1;
    if (AViewInfo->TickType != tbttTicks) {
      label = GetLabelSize(ACanvas, AViewInfo);
      size = AViewInfo->TickType == tbttTicksAndNumbers ? size + label + 2 : label;
    }
  }
  if (AViewInfo->TrackBarBorderWidth == 0) ++size;
  if (hasTicks && AViewInfo->TickType == tbttTicksAndNumbers) {
    const int32_t sides = marks == cxtmBoth ? 2 : 1;
    const int32_t height = AViewInfo->TrackBarRect.Height();
    if (height - size * sides <= 20) {
      AViewInfo->TickSize = std::max((height - sides * (label + 3) - 21) / sides, 0);
      size = label + AViewInfo->TickSize + 3;
    }
  }
  return size;
}

void TcxCustomTrackBarViewData::CalculateTrackZoneRect(TcxCanvas* ACanvas,
                                                       TcxCustomTrackBarViewInfo* AViewInfo) {
  const int32_t top = CalculateTickSize(ACanvas, AViewInfo, true);
  const int32_t bottom = CalculateTickSize(ACanvas, AViewInfo, false);
  const TRect& bar = AViewInfo->TrackBarRect;
  TdxScaleFactor* scale = AViewInfo->ScaleFactor();
  const int32_t height = bar.Height();
  int32_t zone = std::min(std::max(height - top - bottom, 10), scale->Apply(21));
  TRect custom;
  if (GetCustomThumbRect(AViewInfo, custom)) zone = std::max(zone, custom.Height());
  TRect& r = AViewInfo->TrackZoneRect;
  r.Top = bar.Top + top + (height - top - bottom - zone) / 2;
  r.Bottom = r.Top + zone;
  r.Left = bar.Left + AViewInfo->TrackBarBorderWidth + scale->Apply(7);
  r.Right = bar.Right - AViewInfo->TrackBarBorderWidth - scale->Apply(7);
}

void TcxCustomTrackBarViewData::CalculateTrackSize(TcxCustomTrackBarViewInfo* AViewInfo) {
  if (AViewInfo->IsSkinPainter())
    AViewInfo->FTrackSize = AViewInfo->Painter->TrackBarScaledTrackSize(AViewInfo->ScaleFactor());
  else if (TrackBarProperties()->AutoSize())
    AViewInfo->FTrackSize = AViewInfo->TrackZoneRect.Height() / 2;
}

namespace {
// A button's size in the view info's frame.
TSize FrameSize(TcxCustomTrackBarViewInfo* AViewInfo, const TSize& ASize) {
  return AViewInfo->OrientationHelper()->IsHorizontal() ? ASize : TSize{ASize.cy, ASize.cx};
}
}  // namespace

void TcxCustomTrackBarViewData::CalculateButtonLeftRect(TcxCustomTrackBarViewInfo* AViewInfo) {
  if (!AViewInfo->Painter) return;
  const TSize size =
      FrameSize(AViewInfo, AViewInfo->Painter->GetScaledZoomOutButtonSize(AViewInfo->ScaleFactor()));
  const TRect& zone = AViewInfo->TrackZoneRect;
  TRect& r = AViewInfo->LeftButtonRect;
  r.Left = zone.Left;
  r.Top = zone.Top + (zone.Height() - size.cy) / 2;
  r.Right = r.Left + size.cx;
  r.Bottom = r.Top + size.cy;
}

void TcxCustomTrackBarViewData::CalculateButtonRightRect(TcxCustomTrackBarViewInfo* AViewInfo) {
  if (!AViewInfo->Painter) return;
  const TSize size =
      FrameSize(AViewInfo, AViewInfo->Painter->GetScaledZoomInButtonSize(AViewInfo->ScaleFactor()));
  const TRect& zone = AViewInfo->TrackZoneRect;
  TRect& r = AViewInfo->RightButtonRect;
  r.Left = zone.Right - size.cx + (AViewInfo->IsSkinPainter() ? 0 : 1);
  r.Top = zone.Top + (zone.Height() - size.cy) / 2;
  r.Right = r.Left + size.cx;
  r.Bottom = r.Top + size.cy;
}

void TcxCustomTrackBarViewData::CalculateTrackRect(TcxCustomTrackBarViewInfo* AViewInfo) {
  const TRect& zone = AViewInfo->TrackZoneRect;
  TRect& r = AViewInfo->TrackRect;
  r.Left = zone.Left;
  r.Right = zone.Right;
  r.Top = zone.Top + (zone.Height() - AViewInfo->FTrackSize) / 2;
  r.Bottom = r.Top + AViewInfo->FTrackSize;
  if (AViewInfo->ShowChangeButtons) {
    TdxScaleFactor* scale = AViewInfo->ScaleFactor();
    r.Left += AViewInfo->LeftButtonRect.Width() + scale->Apply(5);
    r.Right -= AViewInfo->RightButtonRect.Width() + scale->Apply(5);
  }
}

void TcxCustomTrackBarViewData::CalculateThumbSize(TcxCustomTrackBarViewInfo* AViewInfo) {
  TRect custom;
  if (GetCustomThumbRect(AViewInfo, custom)) {
    AViewInfo->ThumbSize = custom.Width();
    AViewInfo->ThumbLargeSize = custom.Height();
    AViewInfo->FThumbWidth = custom.Width();
    AViewInfo->FThumbHeight = custom.Height();
  } else if (AViewInfo->IsSkinPainter()) {
    const TSize size =
        FrameSize(AViewInfo, AViewInfo->Painter->TrackBarScaledThumbSize(
                                 AViewInfo->OrientationHelper()->IsHorizontal(), AViewInfo->ScaleFactor()));
    AViewInfo->ThumbSize = size.cx;
    AViewInfo->ThumbLargeSize = std::min(size.cy, AViewInfo->TrackZoneRect.Height());
  } else if (TrackBarProperties()->AutoSize()) {
    AViewInfo->ThumbSize = AViewInfo->FTrackSize + AViewInfo->FTrackSize % 2;
    AViewInfo->ThumbLargeSize = 2 * AViewInfo->FTrackSize;
  } else {
    AViewInfo->ThumbSize = AViewInfo->FThumbWidth;
    AViewInfo->ThumbLargeSize = AViewInfo->FThumbHeight;
  }
}

void TcxCustomTrackBarViewData::CalculatePixelsPerPositionStep(TcxCustomTrackBarViewInfo* AViewInfo) {
  AViewInfo->PixelsPerPositionStep.Numerator = AViewInfo->TrackRect.Width() - AViewInfo->ThumbSize;
  AViewInfo->PixelsPerPositionStep.Denominator =
      std::max<int64_t>(static_cast<int64_t>(AViewInfo->Max) - AViewInfo->Min, 1);
}

void TcxCustomTrackBarViewData::CalculateThumbRect(TcxCanvas* ACanvas, TcxCustomTrackBarViewInfo* AViewInfo) {
  const int32_t coordinate = AViewInfo->GetCoordinate(AViewInfo->Position());
  TRect& r = AViewInfo->ThumbRect;
  r.Left = coordinate - AViewInfo->ThumbSize / 2;
  r.Right = r.Left + AViewInfo->ThumbSize;
  r.Top = AViewInfo->TrackRect.Top + (AViewInfo->FTrackSize - AViewInfo->ThumbLargeSize) / 2;
  r.Bottom = r.Top + AViewInfo->ThumbLargeSize;
  TRect visible = AViewInfo->RealRect(r);
  if (AViewInfo->Painter)
    AViewInfo->Painter->CorrectThumbRect(ACanvas, visible, AViewInfo->OrientationHelper()->IsHorizontal(),
                                         TrackBarTicksToTicksAlign[AViewInfo->TickMarks]);
  AViewInfo->VisibleThumbRect = AViewInfo->RealRect(visible);
  TcxTrackBarThumbViewInfo* thumb = AViewInfo->GetThumb(0);
  thumb->SetBounds(AViewInfo->VisibleThumbRect);
  thumb->SetFullRect(AViewInfo->ThumbRect);
}

void TcxCustomTrackBarViewData::CalculateSelectionRect(TcxCustomTrackBarViewInfo* AViewInfo) {
  if (!AViewInfo->FShowSelection) {
    AViewInfo->SelectionRect = TRect{};
    return;
  }
  int32_t left = AViewInfo->GetCoordinate(AViewInfo->FSelectionStart);
  int32_t right = AViewInfo->GetCoordinate(AViewInfo->FSelectionEnd);
  if (AViewInfo->ReverseDirection) std::swap(left, right);
  TRect& r = AViewInfo->SelectionRect;
  r.Left = left;
  r.Right = right + 1;
  const TRect& track = AViewInfo->TrackRect;
  const bool skin = AViewInfo->IsSkinPainter();
  if (skin) {
    const int32_t low = AViewInfo->ReverseDirection ? AViewInfo->FSelectionEnd : AViewInfo->FSelectionStart;
    const int32_t high = AViewInfo->ReverseDirection ? AViewInfo->FSelectionStart : AViewInfo->FSelectionEnd;
    if (low == (AViewInfo->ReverseDirection ? AViewInfo->Max : AViewInfo->Min)) r.Left = track.Left;
    if (high == (AViewInfo->ReverseDirection ? AViewInfo->Min : AViewInfo->Max)) r.Right = track.Right;
  }
  r.Top = track.Top + (skin ? 0 : 2);
  r.Bottom = track.Bottom - (skin ? 0 : 1);
}

TSize TcxCustomTrackBarViewData::InternalGetEditConstantPartSize(
    TcxCanvas* ACanvas, bool AIsInplace, const TcxEditSizeProperties& AEditSizeProperties,
    TSize& AMinContentSize, TcxCustomEditViewInfo* AViewInfo) {
  TSize size = TcxCustomEditViewData::InternalGetEditConstantPartSize(
      ACanvas, AIsInplace, AEditSizeProperties, AMinContentSize, AViewInfo);
  size.cx += ScaleFactor()->Apply(TrackBarProperties()->ThumbWidth(), TrackBarProperties()->ScaleFactor());
  TFont* font = Style()->GetVisibleFont();
  ACanvas->Font()->Assign(font);
  size.cy += ACanvas->TextHeight(u"Zq");
  return size;
}

}  // namespace qd
