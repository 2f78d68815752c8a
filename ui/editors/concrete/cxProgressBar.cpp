#include "ui/editors/concrete/cxProgressBar.h"

#include <algorithm>
#include <cmath>

#include "platform/base/format.h"
#include "platform/base/mathutil.h"
#include "platform/classes/rtti.h"
#include "platform/os/gdi.h"
#include "platform/os/uxtheme.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxThemeManager.h"
#include "ui/core/dxUxTheme.h"
#include "ui/editors/cxEditConsts.h"
#include "ui/editors/cxFilterEdits.h"
#include "ui/graphics/cxGraphicsBlend.h"
#include "ui/graphics/cxGraphicsColors.h"
#include "ui/graphics/cxGraphicsPrint.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxProgressBarPropertiesValues)
QD_IMPLEMENT_CLASS(TcxProgressBarListener)
QD_IMPLEMENT_CLASS(TcxCustomProgressBarProperties)
QD_IMPLEMENT_CLASS(TcxProgressBarProperties)
QD_IMPLEMENT_CLASS(TcxCustomProgressBarViewData)
QD_IMPLEMENT_CLASS(TcxCustomProgressBarViewInfo)
QD_IMPLEMENT_CLASS(TcxCustomProgressBar)
QD_IMPLEMENT_CLASS(TcxProgressBar)
QD_IMPLEMENT_CLASS(TcxFilterProgressBarHelper)

namespace {

constexpr TColor cxProgressBarAnimationBeginColor = static_cast<TColor>(0x00D328);

TColor AsRGB(TColor AColor) {
  return static_cast<TColor>(ColorToRGB(AColor));
}

int32_t Extent(const TRect& R, bool AVertical) {
  return AVertical ? R.Height() : R.Width();
}

// The part of AExtent pixels that AValue of ADiff covers, within 0..AExtent (a position
// that was not clamped, while loading or with Max <= Min, never overflows or inverts).
int32_t FillLength(double AValue, double ADiff, int32_t AExtent) {
  if (AExtent <= 0) return 0;
  const double length = std::trunc(AValue * AExtent / ADiff);
  if (!(length > 0)) return 0;
  return length >= AExtent ? AExtent : static_cast<int32_t>(length);
}

const TTypeInfo* BarStyleTypeInfo() {
  static const TTypeInfo info = MakeEnumTypeInfo(
      u"TcxProgressBarBarStyle", {u"cxbsSolid", u"cxbsLEDs", u"cxbsGradient", u"cxbsGradientLEDs",
                                  u"cxbsBitmap", u"cxbsBitmapLEDs", u"cxbsAnimation", u"cxbsAnimationLEDs"});
  return &info;
}
const TTypeInfo* TextStyleTypeInfo() {
  static const TTypeInfo info =
      MakeEnumTypeInfo(u"TcxProgressBarTextStyle", {u"cxtsPercent", u"cxtsPosition", u"cxtsText"});
  return &info;
}
const TTypeInfo* AnimationPathTypeInfo() {
  static const TTypeInfo info =
      MakeEnumTypeInfo(u"TcxProgressBarAnimationPath", {u"cxapCycle", u"cxapPingPong"});
  return &info;
}
const TTypeInfo* BevelOuterTypeInfo() {
  static const TTypeInfo info =
      MakeEnumTypeInfo(u"TcxProgressBarBevelOuter", {u"cxbvNone", u"cxbvLowered", u"cxbvRaised"});
  return &info;
}
const TTypeInfo* ProgressBarOrientationTypeInfo() {
  static const TTypeInfo info =
      MakeEnumTypeInfo(u"TcxProgressBarOrientation", {u"cxorHorizontal", u"cxorVertical"});
  return &info;
}

// A timer cannot be freed inside its own tick; the ones that end themselves wait here until
// the next tick of another timer or the view info's end.
void RetireTimer(std::unique_ptr<TcxTimer>& ATimer, std::vector<std::unique_ptr<TcxTimer>>& AGraveyard) {
  if (!ATimer) return;
  ATimer->SetEnabled(false);
  AGraveyard.push_back(std::move(ATimer));
}

std::vector<std::unique_ptr<TcxTimer>>& RetiredTimers() {
  static std::vector<std::unique_ptr<TcxTimer>> timers;
  return timers;
}

}  // namespace

// --- Assigned values ---------------------------------------------------------------------------

void TcxProgressBarPropertiesValues::RegisterProperties(TPropertyRegistrar& r) {
  using V = TcxProgressBarPropertiesValues;
  r.Prop("Max", &TcxCustomEditPropertiesValues::MaxValue, &TcxCustomEditPropertiesValues::SetMaxValue)
      .Stored(&V::IsMaxStored);
  r.Prop("Min", &TcxCustomEditPropertiesValues::MinValue, &TcxCustomEditPropertiesValues::SetMinValue)
      .Stored(&V::IsMinStored);
}

bool TcxProgressBarPropertiesValues::IsMaxStored() const {
  return MaxValue() && Properties()->MaxValue() == 0;
}

bool TcxProgressBarPropertiesValues::IsMinStored() const {
  return MinValue() && Properties()->MinValue() == 0;
}

// --- Listener -----------------------------------------------------------------------------------

void TcxProgressBarListener::DoChanged() {
  if (OnChanged) OnChanged(FProgressBar);
}

// --- Properties ---------------------------------------------------------------------------------

TcxCustomProgressBarProperties::TcxCustomProgressBarProperties(TPersistent* AOwner)
    : TcxCustomEditProperties(AOwner), FForegroundImage(std::make_unique<TBitmap>()) {
  InitAssignedValues(new TcxProgressBarPropertiesValues(this));
  FForegroundImage->OnChange = MakeMethod(this, &TcxCustomProgressBarProperties::ForegroundImageChanged);
}

TcxCustomProgressBarProperties::~TcxCustomProgressBarProperties() {
  FForegroundImage->OnChange = nullptr;
}

void TcxCustomProgressBarProperties::ForegroundImageChanged(TObject*) {
  FIsForegroundImageChanged = true;
  Changed();
}

void TcxCustomProgressBarProperties::SetAnimationSpeed(TcxProgressBarAnimationSpeed Value) {
  SetValue(FAnimationSpeed, std::min(Value, cxProgressBarMaxAnimationSpeed));
}

void TcxCustomProgressBarProperties::SetBarStyle(TcxProgressBarBarStyle Value) {
  if (FBarStyle == Value) return;
  FBarStyle = Value;
  if (Value == cxbsAnimation || Value == cxbsAnimationLEDs) FBeginColor = cxProgressBarAnimationBeginColor;
  Changed();
}

void TcxCustomProgressBarProperties::SetForegroundImage(TBitmap* Value) {
  FForegroundImage->Assign(Value);
}

void TcxCustomProgressBarProperties::SetMarquee(bool Value) {
  if (FMarquee == Value) return;
  FMarquee = Value;
  if (Value) FShowTextStyle = cxtsText;
  Changed();
}

void TcxCustomProgressBarProperties::SetMax(double Value) {
  SetMaxValue(Value);
  PostMaxValue();
}

void TcxCustomProgressBarProperties::SetMin(double Value) {
  SetMinValue(Value);
  PostMinValue();
}

void TcxCustomProgressBarProperties::PostMaxValue() {
  if (Max() < Min()) SetMin(Max());
  if (FOverloadValue > Max()) FOverloadValue = Max();
  if (FPeakValue > Max()) FPeakValue = Max();
}

void TcxCustomProgressBarProperties::PostMinValue() {
  if (Max() < Min()) SetMax(Min());
  if (FOverloadValue < Min()) FOverloadValue = Min();
  if (FPeakValue < Min()) FPeakValue = Min();
}

void TcxCustomProgressBarProperties::PostOverloadValue() {
  FOverloadValue = std::min(Max(), std::max(Min(), FOverloadValue));
}

void TcxCustomProgressBarProperties::SetOverloadValue(double Value) {
  if (FOverloadValue == Value) return;
  FOverloadValue = Value;
  PostOverloadValue();
  Changed();
}

void TcxCustomProgressBarProperties::SetPeakSize(TcxNaturalNumber Value) {
  SetValue(FPeakSize, std::max<TcxNaturalNumber>(Value, 1));
}

void TcxCustomProgressBarProperties::SetShowTextStyle(TcxProgressBarTextStyle Value) {
  if (FMarquee && Value != cxtsText) return;
  SetValue(FShowTextStyle, Value);
}

void TcxCustomProgressBarProperties::SetText(const String& Value) {
  if (FText == Value) return;
  FText = Value;
  if (!Value.empty()) FShowTextStyle = cxtsText;
  Changed();
}

double TcxCustomProgressBarProperties::GetMaxValue() const {
  return AssignedValues()->MaxValue() ? TcxCustomEditProperties::GetMaxValue() : 100;
}

double TcxCustomProgressBarProperties::GetMinValue() const {
  return AssignedValues()->MinValue() ? TcxCustomEditProperties::GetMinValue() : 0;
}

double TcxCustomProgressBarProperties::GetRealPeakValue(double APosition) {
  const double result = std::max(APosition, std::min(Max(), std::max(Min(), FPeakValue)));
  FPeakValue = std::max(result, FPeakValue);
  return result;
}

void TcxCustomProgressBarProperties::CorrectPositionWithMaxMin(double& APosition) const {
  if (Max() > Min()) APosition = std::min(Max(), std::max(Min(), APosition));
}

void TcxCustomProgressBarProperties::ChangeScale(int32_t M, int32_t D) {
  TcxCustomEditProperties::ChangeScale(M, D);
  SetPeakSize(MulDiv(FPeakSize, M, D));
}

TClass TcxCustomProgressBarProperties::GetViewDataClass() const {
  return TcxCustomProgressBarViewData::StaticClass();
}

TClass TcxCustomProgressBarProperties::GetViewInfoClass() const {
  return TcxCustomProgressBarViewInfo::StaticClass();
}

TClass TcxCustomProgressBarProperties::GetContainerClass() const {
  return TcxProgressBar::StaticClass();
}

TcxEditSupportedOperations TcxCustomProgressBarProperties::GetSupportedOperations() {
  return TcxEditSupportedOperations{esoAlwaysHotTrack, esoFiltering, esoSorting};
}

void TcxCustomProgressBarProperties::PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue,
                                                         bool) {
  double value = 0;
  if (VarIsStr(AEditValue)) {
    double parsed = 0;
    if (TryStrToFloat(VarToStr(AEditValue), parsed)) value = parsed;
  } else if (VarIsNumeric(AEditValue) || VarType(AEditValue) == varDate) {
    value = AEditValue.AsDouble();
  }
  DisplayValue = Variant(value);
}

String TcxCustomProgressBarProperties::GetDisplayText(const Variant& AEditValue, bool, bool) {
  return InternalGetDisplayText(AEditValue);
}

String TcxCustomProgressBarProperties::InternalGetDisplayText(const Variant& AEditValue) {
  TcxCustomProgressBarViewInfo viewInfo;
  Variant displayValue;
  PrepareDisplayValue(AEditValue, displayValue, false);
  double position = displayValue.AsDouble();
  CorrectPositionWithMaxMin(position);
  viewInfo.FPosition = position;
  viewInfo.FMax = Max();
  viewInfo.FMin = Min();
  viewInfo.FMarquee = FMarquee;
  viewInfo.FShowTextStyle = FShowTextStyle;
  viewInfo.FText = FText;
  return viewInfo.GetDrawText();
}

void TcxCustomProgressBarProperties::DoAssign(TcxCustomEditProperties* Source) {
  TcxCustomEditProperties::DoAssign(Source);
  auto* src = ObjectCast<TcxCustomProgressBarProperties>(Source);
  if (!src) return;
  SetAnimationPath(src->AnimationPath());
  SetAnimationRestartDelay(src->AnimationRestartDelay());
  SetBeginColor(src->BeginColor());
  SetBarBevelOuter(src->BarBevelOuter());
  SetEndColor(src->EndColor());
  SetForegroundImage(src->ForegroundImage());
  SetMarquee(src->Marquee());
  SetMin(src->Min());
  SetMax(src->Max());
  SetOrientation(src->Orientation());
  SetShowText(src->ShowText());
  SetShowTextStyle(src->ShowTextStyle());
  SetTextOrientation(src->TextOrientation());
  SetSolidTextColor(src->SolidTextColor());
  SetText(src->Text());
  SetBarStyle(src->BarStyle());
  SetTransparentImage(src->TransparentImage());
  SetBorderWidth(src->BorderWidth());
  SetOverloadValue(src->OverloadValue());
  SetShowOverload(src->ShowOverload());
  SetOverloadBeginColor(src->OverloadBeginColor());
  SetOverloadEndColor(src->OverloadEndColor());
  SetPeakValue(src->PeakValue());
  SetShowPeak(src->ShowPeak());
  SetPeakColor(src->PeakColor());
  TdxOwnedScaleFactor* own = ScaleFactor();
  TdxOwnedScaleFactor* other = src->ScaleFactor();
  if (own && other)
    SetPeakSize(MulDiv(MulDiv(src->PeakSize(), own->Numerator(), own->Denominator()), other->Denominator(),
                       other->Numerator()));
  else
    SetPeakSize(src->PeakSize());
}

void TcxProgressBarProperties::RegisterProperties(TPropertyRegistrar& r) {
  using P = TcxCustomProgressBarProperties;
  using B = TcxCustomEditProperties;
  r.Prop("AnimationPath", &P::AnimationPath, &P::SetAnimationPath, AnimationPathTypeInfo())
      .Default(cxapCycle);
  r.Prop("AnimationRestartDelay", &P::AnimationRestartDelay, &P::SetAnimationRestartDelay).Default(0u);
  r.Prop("AnimationSpeed", &P::AnimationSpeed, &P::SetAnimationSpeed).Default(uint8_t{10});
  r.Prop("AssignedValues", &P::AssignedValues, &B::SetAssignedValues);
  r.Prop("BarBevelOuter", &P::BarBevelOuter, &P::SetBarBevelOuter, BevelOuterTypeInfo()).Default(cxbvNone);
  r.Prop("BarStyle", &P::BarStyle, &P::SetBarStyle, BarStyleTypeInfo()).Default(cxbsSolid);
  r.Prop("BeginColor", &P::BeginColor, &P::SetBeginColor, TypeInfoTColor())
      .Default(static_cast<TColor>(0x800000));
  r.Prop("BorderWidth", &P::BorderWidth, &P::SetBorderWidth).Default(uint16_t{0});
  r.Prop("EndColor", &P::EndColor, &P::SetEndColor, TypeInfoTColor()).Default(static_cast<TColor>(0xFFFFFF));
  r.Prop("ForegroundImage", &P::ForegroundImage, &P::SetForegroundImage);
  r.Prop("Marquee", &P::Marquee, &P::SetMarquee).Default(false);
  r.Prop("Max", &P::Max, &P::SetMax).Stored(&P::IsMaxStored);
  r.Prop("Min", &P::Min, &P::SetMin).Stored(&P::IsMinStored);
  r.Prop("Orientation", &P::Orientation, &P::SetOrientation, ProgressBarOrientationTypeInfo())
      .Default(cxorHorizontal);
  r.Prop("OverloadBeginColor", &P::OverloadBeginColor, &P::SetOverloadBeginColor, TypeInfoTColor())
      .Default(static_cast<TColor>(0x8080FF));
  r.Prop("OverloadEndColor", &P::OverloadEndColor, &P::SetOverloadEndColor, TypeInfoTColor())
      .Default(static_cast<TColor>(0xFF00FF));
  r.Prop("OverloadValue", &P::OverloadValue, &P::SetOverloadValue).Stored(&P::IsOverloadValueStored);
  r.Prop("PeakColor", &P::PeakColor, &P::SetPeakColor, TypeInfoTColor())
      .Default(static_cast<TColor>(0x0000FF));
  r.Prop("PeakSize", &P::PeakSize, &P::SetPeakSize).Default(2);
  r.Prop("PeakValue", &P::PeakValue, &P::SetPeakValue).Stored(&P::IsPeakValueStored);
  r.Prop("ShowOverload", &P::ShowOverload, &P::SetShowOverload).Default(false);
  r.Prop("ShowPeak", &P::ShowPeak, &P::SetShowPeak).Default(false);
  r.Prop("ShowText", &P::ShowText, &P::SetShowText).Default(true);
  r.Prop("ShowTextStyle", &P::ShowTextStyle, &P::SetShowTextStyle, TextStyleTypeInfo())
      .Stored(&P::IsShowTextStyleStored);
  r.Prop("SolidTextColor", &P::SolidTextColor, &P::SetSolidTextColor).Default(false);
  r.Prop("Text", &P::Text, &P::SetText);
  r.Prop("TextOrientation", &P::TextOrientation, &P::SetTextOrientation, ProgressBarOrientationTypeInfo())
      .Default(cxorHorizontal);
  r.Prop("Transparent", &B::Transparent, &B::SetTransparent).Default(false);
  r.Prop("TransparentImage", &P::TransparentImage, &P::SetTransparentImage).Default(true);
}

// --- View data ----------------------------------------------------------------------------------

TcxCustomProgressBarProperties* TcxCustomProgressBarViewData::ProgressBarProperties() const {
  return static_cast<TcxCustomProgressBarProperties*>(Properties());
}

void TcxCustomProgressBarViewData::CalculateViewInfoProperties(TcxCustomEditViewInfo* AViewInfo) {
  auto* viewInfo = static_cast<TcxCustomProgressBarViewInfo*>(AViewInfo);
  TcxCustomProgressBarProperties* properties = ProgressBarProperties();
  viewInfo->FAnimationRestartDelay = properties->AnimationRestartDelay();
  viewInfo->FBarBevelOuter = properties->BarBevelOuter();
  viewInfo->FBeginColor = AsRGB(properties->BeginColor());
  viewInfo->FEndColor = AsRGB(properties->EndColor());
  viewInfo->FMax = properties->Max();
  viewInfo->FMin = properties->Min();
  viewInfo->FOverloadBeginColor = AsRGB(properties->OverloadBeginColor());
  viewInfo->FOverloadEndColor = AsRGB(properties->OverloadEndColor());
  viewInfo->FOverloadValue = properties->OverloadValue();
  viewInfo->FPeakColor = AsRGB(properties->PeakColor());
  viewInfo->FShowOverload = properties->ShowOverload();
  viewInfo->FShowPeak = properties->ShowPeak();
  viewInfo->FShowText = properties->ShowText();
  viewInfo->FShowTextStyle = properties->ShowTextStyle();
  viewInfo->FSolidTextColor = properties->SolidTextColor();
  viewInfo->FText = properties->Text();
  viewInfo->FTextOrientation = properties->TextOrientation();
  viewInfo->FPeakValue = properties->GetRealPeakValue(viewInfo->FPosition);
  viewInfo->FPeakSize = std::max(1, ScaleFactor()->Apply(properties->PeakSize()));
  TcxCustomEdit* edit = Edit();
  viewInfo->FPropTransparent = IsInplace() ? viewInfo->Transparent : (edit && edit->Transparent());
  // These restart the animation when they change.
  viewInfo->SetAnimationPath(properties->AnimationPath());
  viewInfo->SetMarquee(properties->Marquee());
  viewInfo->SetBarStyle(properties->BarStyle());
  viewInfo->SetOrientation(properties->Orientation());
  viewInfo->SetAnimationSpeed(properties->AnimationSpeed());
}

void TcxCustomProgressBarViewData::Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                             TcxMouseButton Button, TShiftState Shift,
                                             TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) {
  TcxCustomEditViewData::Calculate(ACanvas, ABounds, P, Button, Shift, AViewInfo, AIsMouseEvent);
  if (ABounds.Right == cxEditMeasuringBoundsSize || ABounds.Bottom == cxEditMeasuringBoundsSize) return;
  auto* viewInfo = static_cast<TcxCustomProgressBarViewInfo*>(AViewInfo);
  TcxCustomProgressBarProperties* properties = ProgressBarProperties();
  CalculateViewInfoProperties(viewInfo);
  viewInfo->TextRect = viewInfo->ClientRect;
  const bool native = Style() && IsNativeStyle(Style()->LookAndFeel()) && OpenTheme(totProgress) != 0;
  viewInfo->FNativeBar = native;
  const int32_t drawDelta = IsInplace() ? (native ? 2 : 0) : 2;
  const int32_t borderWidth = properties->BorderWidth();
  const TRect bounds = viewInfo->Bounds;
  const bool vertical = viewInfo->IsVertical();

  TRect C, B, Pr;
  if (native) {
    B = bounds;
    if (IsInplace())
      C = cxRectInflate(bounds, -(drawDelta + borderWidth));
    else if (viewInfo->IsAnimationStyle())
      C = cxRectInflate(bounds, -(borderWidth + 1));
    else
      C = TRect{bounds.Left + 2 + borderWidth + 1, bounds.Top + 2 + borderWidth + 1,
                bounds.Right - 2 - borderWidth, bounds.Bottom - 2 - borderWidth};
    Pr = C;
  } else {
    B = IsInplace() ? cxRectInflate(bounds, -drawDelta) : viewInfo->BorderRect;
    C = viewInfo->BorderRect;
    Pr = cxRectInflate(viewInfo->BorderRect, -borderWidth);
  }

  viewInfo->FocusRect = TRect{};
  if (!IsInplace() && viewInfo->Focused && !viewInfo->GetDrawText().empty())
    viewInfo->FocusRect = cxRectInflate(viewInfo->TextRect, 1);

  const double diff = viewInfo->GetMaxMinDiff();
  const int32_t extent = Extent(C, vertical);
  const int32_t positionLength = FillLength(viewInfo->GetRelativePosition(), diff, extent);
  if (!viewInfo->FMarquee) {
    if (vertical)
      Pr.Top = C.Bottom - positionLength;
    else
      Pr.Right = C.Left + positionLength;
  }

  TRect O;
  viewInfo->FRealShowOverload = !viewInfo->FMarquee && viewInfo->FShowOverload && !native &&
                                viewInfo->FPosition >= viewInfo->FOverloadValue;
  if (viewInfo->FRealShowOverload) {
    O = Pr;
    const int32_t overloadLength = FillLength(viewInfo->FOverloadValue - viewInfo->FMin, diff, extent);
    if (vertical) {
      O.Top = O.Bottom - positionLength;
      O.Bottom = std::max(O.Bottom - overloadLength, C.Top);
      Pr.Top = O.Bottom;
    } else {
      O.Left = C.Left + overloadLength;
      O.Right = std::min(O.Right, C.Right);
      Pr.Right = O.Left;
    }
  }

  TRect K;
  viewInfo->FRealShowPeak = viewInfo->FShowPeak && !viewInfo->FMarquee;
  if (viewInfo->FRealShowPeak) {
    K = Pr;
    const int32_t peakLength = FillLength(viewInfo->FPeakValue - viewInfo->FMin, diff, extent);
    if (vertical) {
      K.Bottom = std::max(C.Bottom - peakLength, C.Top + viewInfo->FPeakSize);
      K.Top = K.Bottom - viewInfo->FPeakSize;
    } else {
      K.Left = std::min(C.Left + peakLength, C.Right - viewInfo->FPeakSize);
      K.Right = K.Left + viewInfo->FPeakSize;
    }
  }

  // The foreground image, drawn over the background colour when it is transparent.
  if (properties->IsForegroundImageChanged() || !viewInfo->FForegroundImage ||
      viewInfo->FForegroundImage->Empty()) {
    properties->SetIsForegroundImageChanged(false);
    auto image = std::make_unique<TBitmap>();
    TBitmap* source = properties->ForegroundImage();
    if (source && !source->Empty()) {
      if (properties->TransparentImage()) {
        image->SetPixelFormat(pf32bit);
        image->SetSize(source->Width(), source->Height());
        TCanvas* canvas = image->Canvas();
        canvas->Brush()->SetColor(viewInfo->BackgroundColor());
        canvas->FillRect(TRect{0, 0, source->Width(), source->Height()});
        TBitmap copy;
        copy.Assign(source);
        copy.SetTransparent(true);
        canvas->Draw(0, 0, &copy);
      } else {
        image->Assign(source);
      }
    }
    viewInfo->FForegroundImage = std::move(image);
  }

  const bool changed = Pr != viewInfo->ProgressBarRect || B != viewInfo->BarRect ||
                       (viewInfo->FRealShowOverload && O != viewInfo->OverloadBarRect) ||
                       (viewInfo->FRealShowPeak && K != viewInfo->PeakBarRect);
  if (!properties->IsPositionChanged() || AIsMouseEvent || changed) {
    if (B != viewInfo->BarRect) viewInfo->FIsBarRectChanged = true;
    viewInfo->ProgressBarRect = Pr;
    viewInfo->BarRect = B;
    viewInfo->OverloadBarRect = O;
    viewInfo->PeakBarRect = K;
    viewInfo->FIsBoundsChanged = true;
  } else {
    viewInfo->FIsBoundsChanged = false;
  }
  properties->SetIsPositionChanged(false);
}

void TcxCustomProgressBarViewData::EditValueToDrawValue(const Variant& AEditValue,
                                                        TcxCustomEditViewInfo* AViewInfo) {
  auto* viewInfo = static_cast<TcxCustomProgressBarViewInfo*>(AViewInfo);
  viewInfo->FocusRect = TRect{};
  Variant displayValue;
  ProgressBarProperties()->PrepareDisplayValue(PreviewMode ? Variant(30.0) : AEditValue, displayValue,
                                               InternalFocused());
  viewInfo->FPosition = displayValue.AsDouble();
  ProgressBarProperties()->CorrectPositionWithMaxMin(viewInfo->FPosition);
}

TSize TcxCustomProgressBarViewData::InternalGetEditConstantPartSize(
    TcxCanvas* ACanvas, bool AIsInplace, const TcxEditSizeProperties& AEditSizeProperties,
    TSize& AMinContentSize, TcxCustomEditViewInfo* AViewInfo) {
  TSize result = TcxCustomEditViewData::InternalGetEditConstantPartSize(
      ACanvas, AIsInplace, AEditSizeProperties, AMinContentSize, AViewInfo);
  auto* viewInfo = static_cast<TcxCustomProgressBarViewInfo*>(AViewInfo);
  result.cx += viewInfo->ProgressBarRect.Width();
  if (!AIsInplace && !NativeStyle) result.cx += 4;
  result.cx += 3;
  if (ACanvas) {
    const TSize text = GetTextEditContentSize(ACanvas, this, String(), 0, cxDefaultEditSizeProperties, 1);
    result.cx += text.cx;
    result.cy += text.cy;
  }
  return result;
}

// --- View info ----------------------------------------------------------------------------------

TcxCustomProgressBarViewInfo::TcxCustomProgressBarViewInfo()
    : FForegroundImage(std::make_unique<TBitmap>()), FUsualBitmap(std::make_unique<TcxBitmap>()) {
  FUsualBitmap->SetPixelFormat(pf32bit);
}

TcxCustomProgressBarViewInfo::~TcxCustomProgressBarViewInfo() {
  FAnimationTimer.reset();
  FAnimationRestartDelayTimer.reset();
}

void TcxCustomProgressBarViewInfo::Assign(TObject* Source) {
  TcxCustomTextEditViewInfo::Assign(Source);
  auto* src = ObjectCast<TcxCustomProgressBarViewInfo>(Source);
  if (!src) return;
  FAnimationPath = src->FAnimationPath;
  FAnimationRestartDelay = src->FAnimationRestartDelay;
  FAnimationSpeed = src->FAnimationSpeed;
  FBarBevelOuter = src->FBarBevelOuter;
  FBarStyle = src->FBarStyle;
  FBeginColor = src->FBeginColor;
  FEndColor = src->FEndColor;
  FMarquee = src->FMarquee;
  FMax = src->FMax;
  FMin = src->FMin;
  FOrientation = src->FOrientation;
  FOverloadBeginColor = src->FOverloadBeginColor;
  FOverloadEndColor = src->FOverloadEndColor;
  FOverloadValue = src->FOverloadValue;
  FPeakColor = src->FPeakColor;
  FPeakSize = src->FPeakSize;
  FPeakValue = src->FPeakValue;
  FShowOverload = src->FShowOverload;
  FShowPeak = src->FShowPeak;
  FShowText = src->FShowText;
  FShowTextStyle = src->FShowTextStyle;
  FSolidTextColor = src->FSolidTextColor;
  FText = src->FText;
  FTextOrientation = src->FTextOrientation;
  FPosition = src->FPosition;
  FPropTransparent = src->FPropTransparent;
  FRealShowOverload = src->FRealShowOverload;
  FRealShowPeak = src->FRealShowPeak;
  FNativeBar = src->FNativeBar;
  FAnimationPosition = src->FAnimationPosition;
  FAnimationDirection = src->FAnimationDirection;
  BarRect = src->BarRect;
  ProgressBarRect = src->ProgressBarRect;
  OverloadBarRect = src->OverloadBarRect;
  PeakBarRect = src->PeakBarRect;
  FocusRect = src->FocusRect;
}

void TcxCustomProgressBarViewInfo::Offset(int32_t DX, int32_t DY) {
  TcxCustomTextEditViewInfo::Offset(DX, DY);
  BarRect = cxRectOffset(BarRect, DX, DY);
  ProgressBarRect = cxRectOffset(ProgressBarRect, DX, DY);
  OverloadBarRect = cxRectOffset(OverloadBarRect, DX, DY);
  PeakBarRect = cxRectOffset(PeakBarRect, DX, DY);
}

double TcxCustomProgressBarViewInfo::GetMaxMinDiff() const {
  const double diff = FMax - FMin;
  return diff == 0 ? 1 : diff;
}

double TcxCustomProgressBarViewInfo::GetRelativePosition() const {
  return FMarquee ? FMax : FPosition - FMin;
}

int32_t TcxCustomProgressBarViewInfo::GetMaxMinDiffLength(double AValue, int32_t AExtent) const {
  return FillLength(AValue, GetMaxMinDiff(), AExtent);
}

int32_t TcxCustomProgressBarViewInfo::GetPercentDone() const {
  const double percent = GetRelativePosition() * 100 / GetMaxMinDiff();
  if (!(percent > 0)) return 0;  // below the minimum (unclamped while Max <= Min)
  if (percent >= 100) return 100;
  return static_cast<int32_t>(Round(percent));
}

String TcxCustomProgressBarViewInfo::GetDrawText() const {
  if (FMarquee) return FText;
  switch (FShowTextStyle) {
    case cxtsPercent:
      return IntToStr(GetPercentDone()) + u" %";
    case cxtsPosition:
      return FloatToStr(FPosition);
    case cxtsText:
      return FText;
  }
  return {};
}

bool TcxCustomProgressBarViewInfo::IsRightToLeft() const {
  return UseRightToLeftAlignment;
}

bool TcxCustomProgressBarViewInfo::NeedInvalidate() {
  if (FIsBoundsChanged) return true;
  if (Edit() && Edit()->DoubleBuffered()) return true;
  return FShowText && !GetDrawText().empty();
}

// --- Animation

bool TcxCustomProgressBarViewInfo::CanAnimationBarShow() const {
  return (IsAnimationStyle() || FMarquee) && FAnimationSpeed > 0 && Edit() && !IsDesigning && !IsInplace;
}

int32_t TcxCustomProgressBarViewInfo::GetAnimationBarDimension() {
  return ScaleFactor()->Apply(FBarStyle == cxbsAnimation && FNativeBar ? 127 : 50);
}

TRect TcxCustomProgressBarViewInfo::GetCorrectAnimationBarRect() const {
  const int32_t block = const_cast<TcxCustomProgressBarViewInfo*>(this)->GetAnimationBarDimension();
  const int32_t shift = FAnimationPath == cxapPingPong ? FAnimationPosition : FAnimationPosition - block;
  TRect r = ProgressBarRect;
  if (IsVertical()) {
    r.Bottom = r.Top + block;
    return cxRectOffset(r, 0, shift);
  }
  r.Right = r.Left + block;
  return cxRectOffset(r, shift, 0);
}

void TcxCustomProgressBarViewInfo::StartAnimationTimer() {
  RetireTimer(FAnimationTimer, RetiredTimers());
  if (!CanAnimationBarShow()) return;
  FAnimationTimer.reset(cxCreateTimer(MakeMethod(this, &TcxCustomProgressBarViewInfo::DoAnimationTimer),
                                      cxProgressBarAnimationInterval));
  FAnimationPosition = 0;
  FAnimationDirection = 1;
}

void TcxCustomProgressBarViewInfo::StopAnimationTimer() {
  RetireTimer(FAnimationTimer, RetiredTimers());
}

void TcxCustomProgressBarViewInfo::DoAnimationTimer(TObject*) {
  if (!CanAnimationBarShow()) {
    RetireTimer(FAnimationTimer, RetiredTimers());
    return;
  }
  // Timers that ended themselves in an earlier tick can go now.
  RetiredTimers().clear();
  CalcAnimationCurrentPosition();
  FIsBoundsChanged = true;
  if (Edit() && Edit()->HandleAllocated()) Edit()->Invalidate();
}

void TcxCustomProgressBarViewInfo::CalcAnimationCurrentPosition() {
  if (FAnimationRestartDelayTimer) return;
  const int32_t block = GetAnimationBarDimension();
  const int32_t extent = Extent(ProgressBarRect, IsVertical());
  const int32_t length = FAnimationPath == cxapCycle ? extent + block : extent - block;
  FAnimationPosition += FAnimationSpeed * 2 * FAnimationDirection;
  if (FAnimationPath == cxapCycle) {
    if (FAnimationPosition > length) {
      FAnimationPosition = 0;
      FAnimationDirection = 1;
      StartAnimationRestartDelayTimer();
    }
  } else if (FAnimationPosition > length) {
    FAnimationDirection = -1;
    FAnimationPosition = length;
    StartAnimationRestartDelayTimer();
  } else if (FAnimationPosition < 0) {
    FAnimationPosition = 0;
    FAnimationDirection = 1;
    StartAnimationRestartDelayTimer();
  }
}

void TcxCustomProgressBarViewInfo::StartAnimationRestartDelayTimer() {
  RetireTimer(FAnimationRestartDelayTimer, RetiredTimers());
  if (FAnimationRestartDelay == 0) return;
  FAnimationRestartDelayTimer.reset(cxCreateTimer(
      MakeMethod(this, &TcxCustomProgressBarViewInfo::DoAnimationRestartDelayTimer), FAnimationRestartDelay));
}

void TcxCustomProgressBarViewInfo::DoAnimationRestartDelayTimer(TObject*) {
  RetireTimer(FAnimationRestartDelayTimer, RetiredTimers());
}

void TcxCustomProgressBarViewInfo::SetAnimationPath(TcxProgressBarAnimationPath Value) {
  if (FAnimationPath == Value) return;
  FAnimationPath = Value;
  StartAnimationTimer();
}

void TcxCustomProgressBarViewInfo::SetAnimationSpeed(TcxProgressBarAnimationSpeed Value) {
  if (FAnimationSpeed == Value) return;
  FAnimationSpeed = Value;
  if (FAnimationTimer) {
    FAnimationTimer->SetInterval(cxProgressBarAnimationInterval);
    FAnimationTimer->SetEnabled(Value != 0);
  } else if (Value != 0) {
    StartAnimationTimer();
  }
}

void TcxCustomProgressBarViewInfo::SetMarquee(bool Value) {
  if (FMarquee == Value) return;
  FMarquee = Value;
  StartAnimationTimer();
}

void TcxCustomProgressBarViewInfo::SetBarStyle(TcxProgressBarBarStyle Value) {
  if (FBarStyle == Value) return;
  FBarStyle = Value;
  StartAnimationTimer();
}

void TcxCustomProgressBarViewInfo::SetOrientation(TcxProgressBarOrientation Value) {
  if (FOrientation == Value) return;
  FOrientation = Value;
  StartAnimationTimer();
}

// --- Painting

void TcxCustomProgressBarViewInfo::Paint(TcxCanvas* ACanvas) {
  if (FIsBarRectChanged) {
    FUsualBitmap->SetSize(std::max(0, BarRect.Width()), std::max(0, BarRect.Height()));
    FIsBarRectChanged = false;
  }
  if (!FUsualBitmap || FUsualBitmap->Empty()) return;
  if (UseSkins) {
    PaintProgressBarByPainter(ACanvas);
    return;
  }
  if (!FNativeBar && !(FPropTransparent && IsInplace)) DrawCustomEdit(ACanvas, !FPropTransparent, true);
  // A repaint without a change copies the cached picture again (an uncovered bar must not
  // stay blank); only its rendering is skipped.
  if (NeedInvalidate())
    PaintProgressBar(ACanvas);
  else
    cxBitBlt(ACanvas->Handle(), FUsualBitmap->Canvas()->Handle(), BarRect, TPoint{0, 0}, SRCCOPY);
}

void TcxCustomProgressBarViewInfo::PaintProgressBar(TcxCanvas* ACanvas) {
  ACanvas->SaveState();
  struct TRestore {
    TcxCanvas* Canvas;
    ~TRestore() { Canvas->RestoreState(); }
  } restore{ACanvas};
  RenderBar(ACanvas);
  cxBitBlt(ACanvas->Handle(), FUsualBitmap->Canvas()->Handle(), BarRect, TPoint{0, 0}, SRCCOPY);
}

int32_t TcxCustomProgressBarViewInfo::CalcLEDsWidth(const TRect& AProgress) const {
  const int32_t thickness = IsVertical() ? AProgress.Width() : AProgress.Height();
  int32_t result = static_cast<int32_t>(Trunc(thickness * 2.0 / 3.0)) + 2;
  if (FBarStyle == cxbsBitmapLEDs && FForegroundImage && !FForegroundImage->Empty()) {
    const int32_t imageExtent = IsVertical() ? FForegroundImage->Height() : FForegroundImage->Width();
    // An image one pixel wide would leave no room for a LED between two gaps.
    if (imageExtent < result) result = std::max(imageExtent, 3);
  }
  return result;
}

void TcxCustomProgressBarViewInfo::CalcDrawingParams(TDrawingParams& AParams) {
  const TPoint origin = BarRect.TopLeft();
  AParams.Bar = TRect{0, 0, BarRect.Width(), BarRect.Height()};
  AParams.Progress = cxRectOffset(ProgressBarRect, origin, false);
  AParams.Overload = cxRectOffset(OverloadBarRect, origin, false);
  AParams.Peak = cxRectOffset(PeakBarRect, origin, false);
  AParams.Animation = cxRectOffset(GetCorrectAnimationBarRect(), origin, false);
  AParams.LEDWidth = CalcLEDsWidth(AParams.Progress);
  TRect& P = AParams.Progress;
  TRect& O = AParams.Overload;
  if (IsLEDStyle() && FRealShowOverload && AParams.LEDWidth > 0) {
    if (IsVertical()) {
      const int32_t rest = P.Height() > 0 ? P.Height() % AParams.LEDWidth : 0;
      P.Top += rest;
      O.Bottom += rest;
    } else {
      const int32_t rest = P.Width() > 0 ? P.Width() % AParams.LEDWidth : 0;
      P.Right -= rest;
      O.Left -= rest;
    }
  }
  if (FRealShowOverload)
    AParams.Drawing =
        IsVertical() ? TRect{P.Left, O.Top, P.Right, P.Bottom} : TRect{P.Left, P.Top, O.Right, P.Bottom};
  else
    AParams.Drawing = P;
}

void TcxCustomProgressBarViewInfo::RenderBar(TcxCanvas* ACanvas) {
  TDrawingParams params;
  CalcDrawingParams(params);
  TcxCanvas* canvas = FUsualBitmap->cxCanvas();
  canvas->SetUseRightToLeftAlignment(false);
  canvas->SaveState();
  canvas->SaveClipRegion();
  DrawBackground(canvas, ACanvas, params.Bar);
  if (IsRightToLeft()) FUsualBitmap->Flip(true, false);

  TRect D = params.Drawing;
  if (!FMarquee || IsInplace) {
    ExcludeRects(canvas, params.Bar, D);
    ExcludeLEDRects(canvas, D, params.LEDWidth);
  } else {
    ExcludeRects(canvas, params.Bar, D);
    ExcludeRects(canvas, params.Bar, params.Animation);
    ExcludeLEDRects(canvas, params.Animation, params.LEDWidth);
    D = params.Animation;
  }

  switch (FBarStyle) {
    case cxbsSolid:
    case cxbsLEDs:
    case cxbsGradient:
    case cxbsGradientLEDs:
      if (FBarStyle == cxbsGradient || FBarStyle == cxbsGradientLEDs || FNativeBar)
        DrawGradientBar(canvas, params);
      else
        DrawSolidBar(canvas, params);
      if (!IsLEDStyle()) PaintBarBevelOuter(canvas, D);
      break;
    case cxbsBitmap:
    case cxbsBitmapLEDs:
      if (FForegroundImage && !FForegroundImage->Empty()) canvas->FillRect(D, FForegroundImage.get());
      break;
    case cxbsAnimation:
    case cxbsAnimationLEDs:
      if (!(FMarquee && IsDesigning) && !(FMarquee && FBarStyle == cxbsAnimation && FNativeBar))
        DrawAnimationBarBackground(canvas, D, true, FBeginColor);
      if (FMarquee)
        DrawVistaStyleMarquee(canvas, params.Animation);
      else
        DrawAnimationBar(canvas, params.Animation, D);
      break;
  }
  if (IsLEDStyle()) DrawBorderLEDs(canvas, D, params.LEDWidth);
  if (!IsAnimationStyle()) DrawPeak(canvas, params.Peak);

  canvas->RestoreClipRegion();
  canvas->RestoreState();
  if (IsRightToLeft()) FUsualBitmap->Flip(true, false);
  DrawBarCaption(canvas, params);
}

void TcxCustomProgressBarViewInfo::DrawBackground(TcxCanvas* ACanvas, TcxCanvas* ASourceCanvas,
                                                  const TRect& ARect) {
  if (FPropTransparent) {
    TcxCustomEdit* edit = Edit();
    if (IsInplace || (edit && edit->ControlState().Contains(csPaintCopy))) {
      cxBitBlt(ACanvas->Handle(), ASourceCanvas->Handle(), ARect, BarRect.TopLeft(), SRCCOPY);
    } else if (edit) {
      const TPoint origin = ACanvas->WindowOrg();
      ACanvas->SetWindowOrg(TPoint{origin.X + BarRect.Left, origin.Y + BarRect.Top});
      cxDrawTransparentControlBackground(edit, ACanvas, Bounds);
      ACanvas->SetWindowOrg(origin);
    }
  } else if (!IsAnimationStyle()) {
    ACanvas->FillRect(ARect, BackgroundColor());
  }
  if (IsInplace || FPropTransparent) return;
  if (FNativeBar) {
    if (HTHEME theme = OpenTheme(totProgress)) {
      const RECT r = ARect;
      dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), IsVertical() ? PP_BARVERT : PP_BAR, 1, &r,
                                     nullptr);
    }
  } else if (IsAnimationStyle()) {
    DrawAnimationBarBackground(ACanvas, ARect, false, BackgroundColor());
  }
}

void TcxCustomProgressBarViewInfo::ExcludeRects(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& R) {
  if (IsAnimationStyle() && FNativeBar) {
    if (IsVertical()) {
      ACanvas->ExcludeClipRect(TRect{ABounds.Left, ABounds.Top, ABounds.Right, R.Top});
      ACanvas->ExcludeClipRect(TRect{ABounds.Left, R.Bottom, ABounds.Right, ABounds.Bottom});
    } else {
      ACanvas->ExcludeClipRect(TRect{ABounds.Left, ABounds.Top, R.Left, ABounds.Bottom});
      ACanvas->ExcludeClipRect(TRect{R.Right, ABounds.Top, ABounds.Right, ABounds.Bottom});
    }
  } else {
    ACanvas->IntersectClipRect(R);
  }
}

void TcxCustomProgressBarViewInfo::ExcludeLEDRects(TcxCanvas* ACanvas, const TRect& R, int32_t AWidth) {
  if (!IsLEDStyle() || AWidth <= 0) return;
  const int32_t count = Extent(R, IsVertical()) / AWidth;
  for (int32_t i = 1; i <= count; ++i) {
    if (IsVertical())
      ACanvas->ExcludeClipRect(TRect{R.Left, R.Bottom - i * AWidth, R.Right, R.Bottom - i * AWidth + 2});
    else
      ACanvas->ExcludeClipRect(TRect{R.Left + i * AWidth - 2, R.Top, R.Left + i * AWidth, R.Bottom});
  }
}

void TcxCustomProgressBarViewInfo::DrawSolidBar(TcxCanvas* ACanvas, const TDrawingParams& AParams) {
  ACanvas->FillRect(AParams.Progress, FBeginColor);
  if (FRealShowOverload) ACanvas->FillRect(AParams.Overload, FOverloadBeginColor);
}

void TcxCustomProgressBarViewInfo::DrawGradientBar(TcxCanvas* ACanvas, const TDrawingParams& AParams) {
  const TRect& P = AParams.Progress;
  const TRect& B = AParams.Bar;
  if (FNativeBar) {
    if (P.IsEmpty()) return;
    const TSize size = IsVertical() ? TSize{P.Width(), 1} : TSize{1, P.Height()};
    if (!CreateNativeBitmap(size)) return;
    cxStretchBlt(ACanvas->Handle(), FNativeBitmap->Canvas()->Handle(), P, TRect{0, 0, size.cx, size.cy},
                 SRCCOPY);
    return;
  }
  if (IsVertical())
    FillGradientRect(ACanvas->Handle(), B, FEndColor, FBeginColor, false);
  else
    FillGradientRect(ACanvas->Handle(), B, FBeginColor, FEndColor, true);
  if (!FRealShowOverload) return;
  const TRect& O = AParams.Overload;
  if (IsVertical())
    FillGradientRect(ACanvas->Handle(), TRect{B.Left, B.Top, B.Right, O.Bottom}, FOverloadEndColor,
                     FOverloadBeginColor, false);
  else
    FillGradientRect(ACanvas->Handle(), TRect{O.Left, B.Top, B.Right, B.Bottom}, FOverloadBeginColor,
                     FOverloadEndColor, true);
}

bool TcxCustomProgressBarViewInfo::CreateNativeBitmap(const TSize& ASize) {
  if (ASize.cx <= 0 || ASize.cy <= 0) return false;
  if (FNativeBitmap && FNativeBitmap->Width() == ASize.cx && FNativeBitmap->Height() == ASize.cy) return true;
  HTHEME theme = OpenTheme(totProgress);
  if (!theme) return false;
  FNativeBitmap = std::make_unique<TcxAlphaBitmap>(ASize.cx, ASize.cy);
  const RECT r{0, 0, ASize.cx, ASize.cy};
  dxUxTheme::DrawThemeBackground(theme, FNativeBitmap->Canvas()->Handle(),
                                 IsVertical() ? PP_CHUNKVERT : PP_CHUNK, 1, &r, nullptr);
  return true;
}

void TcxCustomProgressBarViewInfo::PaintBarBevelOuter(TcxCanvas* ACanvas, const TRect& R) {
  if (FBarBevelOuter == cxbvNone || R.IsEmpty()) return;
  const UINT edge = FBarBevelOuter == cxbvLowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER;
  RECT r = R;
  DrawEdge(ACanvas->Handle(), &r, edge, BF_LEFT | BF_TOP);
  r = R;
  DrawEdge(ACanvas->Handle(), &r, edge, BF_RIGHT | BF_BOTTOM);
}

void TcxCustomProgressBarViewInfo::DrawBorderLEDs(TcxCanvas* ACanvas, const TRect& D, int32_t AWidth) {
  if (FBarBevelOuter == cxbvNone || AWidth <= 0) return;
  const int32_t n = Extent(D, IsVertical()) / AWidth;
  for (int32_t i = 1; i <= n; ++i) {
    if (IsVertical())
      PaintBarBevelOuter(ACanvas,
                         TRect{D.Left, D.Bottom - i * AWidth + 2, D.Right, D.Bottom - (i - 1) * AWidth});
    else
      PaintBarBevelOuter(ACanvas, TRect{D.Left + (i - 1) * AWidth, D.Top, D.Left + i * AWidth - 2, D.Bottom});
  }
  if (IsVertical()) {
    if (D.Bottom - n * AWidth > D.Top)
      PaintBarBevelOuter(ACanvas, TRect{D.Left, D.Top, D.Right, D.Bottom - n * AWidth});
  } else if (D.Left + n * AWidth < D.Right) {
    PaintBarBevelOuter(ACanvas, TRect{D.Left + n * AWidth, D.Top, D.Right, D.Bottom});
  }
}

void TcxCustomProgressBarViewInfo::DrawPeak(TcxCanvas* ACanvas, const TRect& K) {
  if (!FRealShowPeak || K.IsEmpty()) return;
  HRGN region = CreateRectRgn(K.Left, K.Top, K.Right, K.Bottom);
  ExtSelectClipRgn(ACanvas->Handle(), region, RGN_OR);
  DeleteObject(region);
  ACanvas->FillRect(K, FPeakColor);
}

void TcxCustomProgressBarViewInfo::DrawAnimationBarBackground(TcxCanvas* ACanvas, const TRect& R, bool AThick,
                                                              TColor AColor) {
  if (R.IsEmpty()) return;
  const TColor c = AsRGB(AColor);
  const TColor l40 = dxGetLighterColor(c, 40), l80 = dxGetLighterColor(c, 80);
  const TColor d90 = dxGetDarkerColor(c, 90), d80 = dxGetDarkerColor(c, 80);
  int32_t d = AThick ? 4 : 1;
  int32_t e = AThick ? 20 : 8;
  const bool vertical = IsVertical();
  const int32_t extent = Extent(R, vertical);
  if (extent < 3 * (d + e) && (vertical || AThick)) {
    const int32_t whole = d + e;
    d = d * extent / (3 * whole);
    e = e * extent / (3 * whole);
  }
  HDC dc = ACanvas->Handle();
  ACanvas->FillRect(R, c);
  const int32_t strip = ScaleFactor()->Apply(6);
  if (vertical) {
    FillGradientRect(dc, TRect{R.Left, R.Top, R.Right, R.Top + d}, d90, d80, false);
    FillGradientRect(dc, TRect{R.Left, R.Bottom - d, R.Right, R.Bottom}, d80, d90, false);
    FillGradientRect(dc, TRect{R.Left, R.Top + d, R.Right, R.Top + d + e}, d80, c, false);
    FillGradientRect(dc, TRect{R.Left, R.Bottom - d - e, R.Right, R.Bottom - d}, c, d80, false);
    FillGradientRect(dc, TRect{R.Left, R.Top, std::min(R.Right, R.Left + strip), R.Bottom}, l40, l80, true);
  } else {
    FillGradientRect(dc, TRect{R.Left, R.Top, R.Left + d, R.Bottom}, d90, d80, true);
    FillGradientRect(dc, TRect{R.Right - d, R.Top, R.Right, R.Bottom}, d80, d90, true);
    FillGradientRect(dc, TRect{R.Left + d, R.Top, R.Left + d + e, R.Bottom}, d80, c, true);
    FillGradientRect(dc, TRect{R.Right - d - e, R.Top, R.Right - d, R.Bottom}, c, d80, true);
    FillGradientRect(dc, TRect{R.Left, R.Top, R.Right, std::min(R.Bottom, R.Top + strip)}, l40, l80, false);
  }
}

void TcxCustomProgressBarViewInfo::DrawAnimationBar(TcxCanvas* ACanvas, const TRect& A, const TRect& D) {
  if (!CanAnimationBarShow()) {
    StopAnimationTimer();
    return;
  }
  if (FAnimationTimer)
    LightCanvasByGradient(ACanvas, A, D);
  else if (FAnimationSpeed != 0)
    StartAnimationTimer();
}

void TcxCustomProgressBarViewInfo::LightCanvasByGradient(TcxCanvas* ACanvas, const TRect& A, const TRect& D) {
  if (A.IsEmpty()) return;
  HDC dc = ACanvas->Handle();
  const int32_t s6 = ScaleFactor()->Apply(6);
  const int32_t s10 = ScaleFactor()->Apply(10);
  const bool vertical = IsVertical();
  const int32_t half = Extent(A, vertical) / 2;
  const int32_t band = half - s10 / 2;
  auto lighten = [](TColor AColor, int32_t APercent) {
    return dxGetLighterColor(AColor, static_cast<uint8_t>(APercent));
  };
  if (!vertical) {
    for (int32_t y = A.Top; y < std::min(A.Bottom, A.Top + s6); ++y) {
      const COLORREF f = GetPixel(dc, D.Left + 1, y);
      if (f == CLR_INVALID) continue;
      const TColor g = lighten(static_cast<TColor>(f), 60);
      FillGradientRect(dc, TRect{A.Left - half, y, A.Left + band, y + 1}, static_cast<TColor>(f), g, true);
      ACanvas->FillRect(TRect{A.Left + band, y, A.Left + half + s10 / 2, y + 1}, g);
      FillGradientRect(dc, TRect{A.Left + half + s10 / 2, y, A.Right + half, y + 1}, g,
                       static_cast<TColor>(f), true);
    }
    ACanvas->SaveClipRegion();
    ACanvas->IntersectClipRect(A);
    for (int32_t x = A.Left; x < A.Right; ++x) {
      int32_t p = 60;
      if (band > 0) {
        if (x < A.Left + band)
          p += (A.Left + band - x) * 40 / band;
        else if (x > A.Left + half + s10 / 2)
          p += (x - A.Left - half - s10 / 2) * 40 / band;
      }
      const COLORREF c = GetPixel(dc, x, A.Top + s6);
      if (c == CLR_INVALID) continue;
      ACanvas->FillRect(TRect{x, A.Top + s6, x + 1, A.Bottom}, lighten(static_cast<TColor>(c), p & 0xFF));
    }
    ACanvas->RestoreClipRegion();
    return;
  }
  for (int32_t x = A.Left; x < std::min(A.Right, A.Left + s6); ++x) {
    const COLORREF f = GetPixel(dc, x, D.Bottom - 2);
    if (f == CLR_INVALID) continue;
    const TColor g = lighten(static_cast<TColor>(f), 60);
    FillGradientRect(dc, TRect{x, A.Top - half, x + 1, A.Top + band}, static_cast<TColor>(f), g, false);
    ACanvas->FillRect(TRect{x, A.Top + band, x + 1, A.Top + half + s10 / 2}, g);
    FillGradientRect(dc, TRect{x, A.Top + half + s10 / 2, x + 1, A.Bottom + half}, g, static_cast<TColor>(f),
                     false);
  }
  ACanvas->SaveClipRegion();
  ACanvas->IntersectClipRect(A);
  for (int32_t y = A.Top; y < A.Bottom; ++y) {
    int32_t p = 60;
    if (band > 0) {
      if (y < A.Top + band)
        p += (A.Top + band - y) * 40 / band;
      else if (y > A.Top + half + s10 / 2)
        p += (y - A.Top - half - s10 / 2) * 40 / band;
    }
    const COLORREF c = GetPixel(dc, A.Left + s6, y);
    if (c == CLR_INVALID) continue;
    ACanvas->FillRect(TRect{A.Left + s6, y, A.Right, y + 1}, lighten(static_cast<TColor>(c), p & 0xFF));
  }
  ACanvas->RestoreClipRegion();
}

void TcxCustomProgressBarViewInfo::DrawVistaStyleMarquee(TcxCanvas* ACanvas, const TRect& A) {
  if (A.IsEmpty()) return;
  const int32_t w = A.Width(), h = A.Height();
  if (!FVistaStyleMarqueeBitmap || FVistaStyleMarqueeBitmap->Width() != w ||
      FVistaStyleMarqueeBitmap->Height() != h) {
    FVistaStyleMarqueeBitmap.reset();
    const TSize chunk = IsVertical() ? TSize{w, 1} : TSize{1, h};
    if (!CreateNativeBitmap(chunk)) return;
    auto bitmap = std::make_unique<TcxAlphaBitmap>(w, h);
    cxStretchBlt(bitmap->Canvas()->Handle(), FNativeBitmap->Canvas()->Handle(), TRect{0, 0, w, h},
                 TRect{0, 0, chunk.cx, chunk.cy}, SRCCOPY);
    TRGBColors colors;
    bitmap->GetBitmapColors(colors);
    // Black to green to black along the orientation: each pixel is premultiplied by the
    // green value, which is also its alpha. Rows are bottom-up, which the symmetric mask
    // does not mind.
    const int32_t extent = IsVertical() ? h : w;
    const int32_t halfExtent = std::max(1, extent / 2);
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) {
        const int32_t t = IsVertical() ? y : x;
        const int32_t g = t < halfExtent
                              ? t * 255 / halfExtent
                              : std::max(0, (extent - 1 - t) * 255 / std::max(1, extent - halfExtent));
        RGBQUAD& q = colors[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
        q.rgbBlue = static_cast<BYTE>(q.rgbBlue * g / 255);
        q.rgbGreen = static_cast<BYTE>(q.rgbGreen * g / 255);
        q.rgbRed = static_cast<BYTE>(q.rgbRed * g / 255);
        q.rgbReserved = static_cast<BYTE>(g);
      }
    bitmap->SetBitmapColors(colors);
    FVistaStyleMarqueeBitmap = std::move(bitmap);
  }
  FVistaStyleMarqueeBitmap->AlphaBlend(FUsualBitmap.get(), A, false, 255);
  (void)ACanvas;
}

void TcxCustomProgressBarViewInfo::DrawBarCaption(TcxCanvas* ACanvas, const TDrawingParams& AParams) {
  if (!FShowText) return;
  const String text = GetDrawText();
  if (text.empty()) return;
  ACanvas->SaveState();
  struct TRestore {
    TcxCanvas* Canvas;
    ~TRestore() { Canvas->RestoreState(); }
  } restore{ACanvas};
  if (Font) ACanvas->Font()->Assign(Font);
  ACanvas->Brush()->SetStyle(bsClear);
  const bool verticalText = FTextOrientation == cxorVertical;
  TSize size = ACanvas->TextExtent(text);
  if (verticalText) std::swap(size.cx, size.cy);
  const TRect& parent = AParams.Bar;
  TRect textRect{parent.Left + (parent.Width() - size.cx) / 2, parent.Top + (parent.Height() - size.cy) / 2,
                 0, 0};
  textRect.Right = textRect.Left + size.cx;
  textRect.Bottom = textRect.Top + size.cy;
  TRect chunk = FMarquee ? AParams.Animation : AParams.Drawing;
  if (IsRightToLeft()) {
    textRect = TdxRightToLeftLayoutConverter::ConvertRect(textRect, parent);
    chunk = TdxRightToLeftLayoutConverter::ConvertRect(chunk, parent);
  }
  TcxCustomLookAndFeelPainter* painter =
      Painter ? Painter : cxLookAndFeelPaintersManager()->GetPainter(lfsStandard);
  if (painter)
    painter->DrawProgressBarText(ACanvas, verticalText, FSolidTextColor, text, textRect, parent, chunk,
                                 TextColor);
}

void TcxCustomProgressBarViewInfo::DrawText(TcxCanvas* ACanvas) {
  TDrawingParams params;
  CalcDrawingParams(params);
  DrawBarCaption(ACanvas, params);
}

void TcxCustomProgressBarViewInfo::PaintProgressBarByPainter(TcxCanvas* ACanvas) {
  const int32_t w = Bounds.Width(), h = Bounds.Height();
  if (w <= 0 || h <= 0 || !Painter) return;
  if (!FPainterBitmap) {
    FPainterBitmap = std::make_unique<TcxBitmap>();
    FPainterBitmap->SetPixelFormat(pf32bit);
  }
  if (FPainterBitmap->Width() != w || FPainterBitmap->Height() != h) FPainterBitmap->SetSize(w, h);
  TcxCanvas* canvas = FPainterBitmap->cxCanvas();
  const TRect all{0, 0, w, h};
  if (IsInplace || !Edit()) {
    canvas->FillRect(all, BackgroundColor());
  } else {
    cxDrawTransparentControlBackground(Edit(), canvas, Bounds, TPoint{0, 0});
    if (IsRightToLeft()) FPainterBitmap->Flip(true, false);
  }
  const bool vertical = IsVertical();
  const TRect bar = cxRectOffset(BarRect, Bounds.TopLeft(), false);
  const TRect content = cxRectContent(bar, Painter->ProgressBarBorderSize(vertical));
  TRect chunk = content;
  if (FMarquee) {
    cxRectIntersect(chunk, cxRectOffset(GetCorrectAnimationBarRect(), Bounds.TopLeft(), false), content);
  } else {
    double ratio = GetRelativePosition() / GetMaxMinDiff();
    ratio = std::min(1.0, std::max(0.0, ratio));
    if (vertical)
      chunk.Top += static_cast<int32_t>(Trunc(content.Height() * (1 - ratio)));
    else
      chunk.Right = chunk.Left + static_cast<int32_t>(Trunc(ratio * content.Width()));
  }
  Painter->DrawProgressBarBorder(canvas, bar, vertical);
  canvas->SaveClipRegion();
  canvas->IntersectClipRect(content);
  if (!chunk.IsEmpty()) Painter->DrawProgressBarChunk(canvas, chunk, vertical);
  if (FRealShowOverload && !chunk.IsEmpty()) {
    const int32_t overloadLength =
        FillLength(FOverloadValue - FMin, GetMaxMinDiff(), Extent(content, vertical));
    TRect over = chunk;
    if (vertical)
      over.Bottom = std::min(over.Bottom, content.Bottom - overloadLength);
    else
      over.Left = std::max(over.Left, content.Left + overloadLength);
    if (!over.IsEmpty()) canvas->InvertRect(over);
  }
  canvas->RestoreClipRegion();
  if (IsRightToLeft()) FPainterBitmap->Flip(true, false);
  TDrawingParams params;
  params.Bar = bar;
  params.Drawing = chunk;
  params.Animation = chunk;
  DrawBarCaption(canvas, params);
  cxBitBlt(ACanvas->Handle(), canvas->Handle(), Bounds, TPoint{0, 0}, SRCCOPY);
}

// --- The control --------------------------------------------------------------------------------

TcxCustomProgressBar::TcxCustomProgressBar(TComponent* AOwner, bool AIsInplace)
    : TcxCustomEdit(AOwner, AIsInplace) {
  TControlStyle style = ControlStyle();
  style.Exclude(csCaptureMouse);
  style.Exclude(csClickEvents);
  style.Exclude(csDoubleClicks);
  SetControlStyle(style);
  SetBounds(Left(), Top(), 121, 21);
  InitializeParentColor();
}

TcxCustomProgressBar::~TcxCustomProgressBar() = default;

bool TcxCustomProgressBar::CanFocus() {
  return IsInplace() && TcxCustomEdit::CanFocus();
}

bool TcxCustomProgressBar::CanFocusOnClick() {
  return TcxCustomEdit::CanFocusOnClick() && IsInplace();
}

TcxContainerStyleValues TcxCustomProgressBar::InternalGetNotPublishedStyleValues() {
  TcxContainerStyleValues result = TcxCustomEdit::InternalGetNotPublishedStyleValues();
  result.Include(svHotTrack);
  return result;
}

void TcxCustomProgressBar::PopulateSizeProperties(TcxEditSizeProperties& AEditSizeProperties) {
  AEditSizeProperties = cxDefaultEditSizeProperties;
  AEditSizeProperties.MaxLineCount = 1;
  AEditSizeProperties.Width = ProgressBarViewInfo()->TextRect.Width();
}

double TcxCustomProgressBar::Position() {
  return ProgressBarViewInfo()->FPosition;
}

void TcxCustomProgressBar::SetPosition(double Value) {
  if (Value == ProgressBarViewInfo()->FPosition) return;
  TcxCustomProgressBarProperties* properties = ActiveProperties();
  properties->SetIsPositionChanged(true);
  if (!IsLoading() && properties->Max() > properties->Min())
    Value = std::min(properties->Max(), std::max(properties->Min(), Value));
  SetEditValue(Variant(Value));
  DoNotifyListeners();
}

int32_t TcxCustomProgressBar::GetPercentDone() {
  return ProgressBarViewInfo()->GetPercentDone();
}

void TcxCustomProgressBar::RegisterListener(TcxProgressBarListener* AListener) {
  if (AListener && std::find(FListeners.begin(), FListeners.end(), AListener) == FListeners.end())
    FListeners.push_back(AListener);
}

void TcxCustomProgressBar::UnRegisterListener(TcxProgressBarListener* AListener) {
  std::erase(FListeners, AListener);
}

void TcxCustomProgressBar::DoNotifyListeners() {
  // A listener may register or unregister others while it is told.
  const std::vector<TcxProgressBarListener*> listeners = FListeners;
  for (TcxProgressBarListener* listener : listeners)
    if (std::find(FListeners.begin(), FListeners.end(), listener) != FListeners.end()) listener->DoChanged();
}

void TcxCustomProgressBar::SynchronizeDisplayValue() {
  Variant displayValue;
  ActiveProperties()->PrepareDisplayValue(EditValue(), displayValue, InternalFocused());
  TcxCustomProgressBarViewInfo* viewInfo = ProgressBarViewInfo();
  viewInfo->FPosition = displayValue.AsDouble();
  if (ActiveProperties()->Transparent()) Invalidate();
  if (!IsLoading()) ActiveProperties()->CorrectPositionWithMaxMin(viewInfo->FPosition);
  ShortRefreshContainer(false);
}

void TcxCustomProgressBar::PropertiesChanged(TObject* Sender) {
  // While a form is read, Max may come after Position: the bounds are applied once the
  // form is loaded (Loaded runs this again).
  if (!IsLoading()) {
    CheckEditValue();
    ActiveProperties()->CorrectPositionWithMaxMin(ProgressBarViewInfo()->FPosition);
  }
  TcxCustomEdit::PropertiesChanged(Sender);
  if (ActiveProperties()->Transparent()) Invalidate();
  DoNotifyListeners();
}

void TcxCustomProgressBar::CheckEditValue() {
  if (IsInplace() || ActiveProperties()->ChangedLocked()) return;
  BeginUserAction();
  try {
    CheckEditorValueBounds();
  } catch (...) {
    EndUserAction();
    throw;
  }
  EndUserAction();
}

void TcxCustomProgressBar::CheckEditorValueBounds() {
  TcxCustomProgressBarProperties* properties = ActiveProperties();
  if (!(properties->Max() > properties->Min())) return;
  Variant displayValue;
  properties->PrepareDisplayValue(EditValue(), displayValue, InternalFocused());
  const double value = displayValue.AsDouble();
  if (value < properties->Min())
    InternalSetEditValue(Variant(properties->Min()), false);
  else if (value > properties->Max())
    InternalSetEditValue(Variant(properties->Max()), false);
}

void TcxProgressBar::RegisterProperties(TPropertyRegistrar& r) {
  using C = TcxCustomProgressBar;
  r.Prop("AutoSize", &TcxCustomEdit::AutoSize, &TcxCustomEdit::SetEditAutoSize).Default(true);
  r.Prop("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
  r.Prop("Position", &C::Position, &C::SetPosition).Stored(&C::IsPositionStored);
  r.Prop("Properties", &TcxProgressBar::Properties, &TcxProgressBar::SetProperties);
  r.Prop("Transparent", &TcxControl::Transparent, &TcxControl::SetTransparent).Default(false);
  r.Prop("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
}

// --- Unit start-up ------------------------------------------------------------------------------

TcxFilterEditHelperClass TcxFilterProgressBarHelper::Class() {
  static const TcxFilterProgressBarHelper instance;
  return &instance;
}

void TcxFilterProgressBarHelper::InitializeProperties(TcxCustomEditProperties* AProperties,
                                                      TcxCustomEditProperties* AEditProperties,
                                                      bool AHasButtons) const {
  TcxFilterSpinEditHelper::InitializeProperties(AProperties, AEditProperties, AHasButtons);
  AProperties->Buttons()->Add();
  AProperties->Buttons()->Add();
  if (auto* bar = dynamic_cast<TcxCustomProgressBarProperties*>(AEditProperties)) {
    AProperties->SetMinValue(bar->Min());
    AProperties->SetMaxValue(bar->Max());
  }
}

namespace cxProgressBar {

namespace {
int gUnitCounter = 0;
}

void Initialize() {
  if (gUnitCounter++ > 0) return;
  RetiredTimers().clear();
  GetRegisteredEditProperties()->Register(TcxProgressBarProperties::StaticClass(),
                                          u"ProgressBar|Represents an advanced progress bar control");
  FilterEditsController()->Register(TcxProgressBarProperties::StaticClass(),
                                    TcxFilterProgressBarHelper::Class());
  // Stored forms create the bar by its class name.
  RegisterClass(TcxProgressBar::StaticClass());
}

void Finalize() {
  if (gUnitCounter == 0 || --gUnitCounter > 0) return;
  UnRegisterClass(TcxProgressBar::StaticClass());
  GetRegisteredEditProperties()->Unregister(TcxProgressBarProperties::StaticClass());
  if (FilterEditsControllerAssigned())
    FilterEditsController()->Unregister(TcxProgressBarProperties::StaticClass(),
                                        TcxFilterProgressBarHelper::Class());
  RetiredTimers().clear();
}

}  // namespace cxProgressBar

}  // namespace qd
