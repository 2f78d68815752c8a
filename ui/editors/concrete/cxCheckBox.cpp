#include "ui/editors/concrete/cxCheckBox.h"

#include "ui/editors/cxDropDownEditComboBox.h"

#include <algorithm>
#include <memory>

#include "platform/classes/lists.h"
#include "platform/classes/rtti.h"
#include "platform/os/gdi.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxThemeManager.h"
#include "ui/editors/cxEditConsts.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/graphics/cxGraphicsImages.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxCustomCheckBoxProperties)
QD_IMPLEMENT_CLASS(TcxCheckBoxProperties)
QD_IMPLEMENT_CLASS(TcxCheckBoxStyle)
QD_IMPLEMENT_CLASS(TcxCustomCheckControlFadingHelper)
QD_IMPLEMENT_CLASS(TcxCheckBoxFadingHelper)
QD_IMPLEMENT_CLASS(TcxCustomCheckBoxViewInfo)
QD_IMPLEMENT_CLASS(TcxCustomCheckBoxViewData)
QD_IMPLEMENT_CLASS(TcxCustomCheckBox)
QD_IMPLEMENT_CLASS(TcxCheckBox)
QD_IMPLEMENT_CLASS(TcxFilterCheckBoxHelper)

namespace {

const TResStringRec scxSEditRepositoryCheckBoxDescription{
    u"CheckBox|Represents a check box control that allows selecting an option"};

int gCheckBoxUnitCounter = 0;

const TTypeInfo* CheckBoxStateTypeInfo() {
  static const TTypeInfo info =
      MakeEnumTypeInfo(u"TcxCheckBoxState", {u"cbsUnchecked", u"cbsChecked", u"cbsGrayed"});
  return &info;
}

const TTypeInfo* CheckBoxNullStyleTypeInfo() {
  static const TTypeInfo info = MakeEnumTypeInfo(u"TcxCheckBoxNullValueShowingStyle",
                                                 {u"nssUnchecked", u"nssInactive", u"nssGrayedChecked"});
  return &info;
}

const TTypeInfo* CheckBoxValidationOptionsTypeInfo() {
  static const TTypeInfo element = MakeEnumTypeInfo(
      u"TcxEditValidationOption", {u"evoRaiseException", u"evoShowErrorIcon", u"evoAllowLoseFocus"});
  static const TTypeInfo info = MakeSetTypeInfo(u"TcxEditValidationOptions", &element);
  return &info;
}

const TResStringRec* const kDefaultDisplayCheckStates[] = {&cxSEditCheckBoxUnchecked, &cxSEditCheckBoxChecked,
                                                           &cxSEditCheckBoxGrayed};

bool IsVarExactlyBoolean(const Variant& V, bool AValue) {
  return VarType(V) == varBoolean && V.AsBoolean() == AValue;
}

// AKey is the character after a single '&' of ACaption, without regard to case.
bool CheckBoxIsAccelerator(Char AKey, const String& ACaption) {
  for (size_t i = 0; i + 1 < ACaption.size(); ++i) {
    if (ACaption[i] != u'&') continue;
    if (ACaption[i + 1] == u'&') {
      ++i;
      continue;
    }
    return UpperCase(String(1, ACaption[i + 1])) == UpperCase(String(1, AKey));
  }
  return false;
}

TcxCustomLookAndFeelPainter* CheckBoxPainter(TcxLookAndFeelStyle AStyle) {
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  return manager ? manager->GetPainter(AStyle) : nullptr;
}

// The glyph's image for the state, stretched into ARect of a new transparent bitmap.
void DrawCheckBoxGlyph(TcxCanvas* ACanvas, const TRect& R, TcxCheckBoxState AState,
                       TcxEditCheckState ACheckState, TdxSmartGlyph* AGlyph, int32_t AGlyphCount,
                       TColor ABackgroundColor, bool ADrawBackground, bool AHasGrayedGroup,
                       TdxScaleFactor* AScaleFactor) {
  int32_t index = GetEditCheckGlyphIndex(AState, ACheckState, AHasGrayedGroup, AGlyphCount);
  // A glyph with fewer images than the first group needs (two images and a grayed box) would
  // be drawn from outside the image, showing nothing: take one of its own images instead.
  if (index >= AGlyphCount) index %= AGlyphCount;
  const int32_t partWidth = AGlyph->Width() / AGlyphCount;
  const TRect source{index * partWidth, 0, (index + 1) * partWidth, AGlyph->Height()};
  TcxBitmap32 bitmap(R.Width(), R.Height(), true);
  AGlyph->StretchDraw(bitmap.cxCanvas()->Handle(), TRect{0, 0, R.Width(), R.Height()}, source);
  bitmap.SetAlphaFormat(afPremultiplied);
  if (ADrawBackground) ACanvas->FillRect(R, ABackgroundColor);
  cxDrawImage(ACanvas, R, &bitmap, nullptr, -1, ifmStretch,
              ACheckState == ecsDisabled ? idmDisabled : idmNormal, false, nullptr, AScaleFactor);
}

TColor UltraFlatCheckBorderColor(TcxEditBorderStyle ABorderStyle, TcxEditCheckState ACheckState,
                                 bool AIsDesigning, bool AFocused) {
  const bool office11 = ABorderStyle == cbsOffice11;
  if (ACheckState == ecsHot || ACheckState == ecsPressed || (AIsDesigning && ACheckState != ecsDisabled) ||
      (AFocused && ACheckState == ecsNormal))
    return GetEditBorderHighlightColor(office11);
  if (office11 && ACheckState == ecsNormal) return clBtnText;
  return clBtnShadow;
}

void DrawCheckBorder(TcxCanvas* ACanvas, TRect& R, TcxEditBorderStyle ABorderStyle,
                     TcxEditCheckState ACheckState, TColor ABorderColor, TColor ABackgroundColor,
                     bool ADrawBackground, bool AIsDesigning, bool AFocused) {
  const int32_t band = 2 - GetContainerBorderWidth(ABorderStyle);
  if (band > 0) {
    if (ADrawBackground) ACanvas->FrameRect(R, ABackgroundColor, band);
    R = cxRectInflate(R, -band);
  }
  switch (ABorderStyle) {
    case cbsSingle:
      ACanvas->FrameRect(R, ABorderColor, 1);
      break;
    case cbsThick:
      ACanvas->FrameRect(R, ABorderColor, 2);
      break;
    case cbsFlat:
      ACanvas->DrawEdge(R, true, true);
      ACanvas->FrameRect(cxRectInflate(R, -1), clBtnFace, 1);
      break;
    case cbs3D:
      ACanvas->DrawEdge(R, true, true);
      ACanvas->DrawComplexFrame(cxRectInflate(R, -1), cl3DDkShadow, cl3DLight);
      break;
    case cbsUltraFlat:
    case cbsOffice11:
      ACanvas->FrameRect(R, UltraFlatCheckBorderColor(ABorderStyle, ACheckState, AIsDesigning, AFocused), 1);
      break;
    case cbsNone:
      break;
  }
}

void DrawUltraFlatCheckContent(TcxCanvas* ACanvas, const TRect& AContent, TcxCheckBoxState AState,
                               TcxEditCheckState ACheckState, TcxEditBorderStyle ABorderStyle,
                               TcxCheckBoxNullValueShowingStyle ANullStyle, TdxScaleFactor* AScaleFactor) {
  TColor color = clWindow;
  if (ACheckState == ecsHot || ACheckState == ecsPressed)
    color = GetEditButtonHighlightColor(ACheckState == ecsPressed, ABorderStyle == cbsOffice11);
  else if (ACheckState == ecsDisabled || (AState == cbsGrayed && ANullStyle == nssInactive))
    color = clBtnFace;
  ACanvas->FillRect(AContent, color);
  const bool marked = AState == cbsChecked || (AState == cbsGrayed && ANullStyle == nssGrayedChecked);
  TcxCustomLookAndFeelPainter* painter = CheckBoxPainter(lfsUltraFlat);
  if (!marked || !painter) return;
  const TColor markColor = AState == cbsChecked && ACheckState != ecsDisabled ? clBtnText : clBtnShadow;
  ACanvas->SaveState();
  ACanvas->IntersectClipRect(AContent);
  ACanvas->Brush()->SetStyle(bsClear);
  painter->DrawScaledCheck(ACanvas, AContent, CheckStateToButtonState[ACheckState], true, markColor,
                           AScaleFactor);
  ACanvas->RestoreState();
}

void DrawSystemCheckContent(TcxCanvas* ACanvas, const TRect& AContent, TcxCheckBoxState AState,
                            TcxEditCheckState ACheckState, TcxEditBorderStyle ABorderStyle,
                            TcxCheckBoxNullValueShowingStyle ANullStyle) {
  UINT flags = DFCS_BUTTONCHECK;
  if (ACheckState == ecsDisabled) {
    const bool checked = AState == cbsChecked || (AState == cbsGrayed && ANullStyle == nssGrayedChecked);
    flags = DFCS_BUTTON3STATE | DFCS_PUSHED | (checked ? DFCS_CHECKED : DFCS_INACTIVE);
  } else {
    if (AState == cbsChecked) flags |= DFCS_CHECKED;
    if (AState == cbsGrayed) {
      if (ANullStyle == nssInactive)
        flags = DFCS_BUTTON3STATE | DFCS_INACTIVE;
      else if (ANullStyle == nssGrayedChecked)
        flags = DFCS_BUTTON3STATE | DFCS_CHECKED;
    }
    if (ACheckState == ecsPressed) flags |= DFCS_PUSHED;
  }
  if (ABorderStyle != cbs3D) flags |= DFCS_FLAT;
  ACanvas->SaveState();
  ACanvas->IntersectClipRect(AContent);
  TRect r = cxRectInflate(AContent, 2);
  DrawFrameControl(ACanvas->Handle(), &r, DFC_BUTTON, flags);
  ACanvas->RestoreState();
}

}  // namespace

// --- Unit functions ----------------------------------------------------------------------------------

int32_t GetEditCheckGlyphIndex(TcxCheckBoxState ACheckBoxState, TcxEditCheckState ACheckState,
                               bool AHasGrayedGroup, int32_t AGlyphCount) {
  if (AGlyphCount <= 1) return 0;
  const int32_t groupSize = AHasGrayedGroup || AGlyphCount % 3 == 0 || AGlyphCount % 2 == 1 ? 3 : 2;
  int32_t index = static_cast<int32_t>(ACheckBoxState);
  if (ACheckState == ecsPressed) index += groupSize;
  if (index >= AGlyphCount && index >= groupSize) index %= groupSize;
  return index;
}

bool IsGlyphValid(TdxSmartGlyph* AGlyph, int32_t AGlyphCount) {
  return AGlyph && !AGlyph->Empty() && AGlyphCount > 0;
}

TSize GetScaledEditCheckSize(TcxCanvas*, bool ANativeStyle, TdxSmartGlyph* AGlyph, int32_t AGlyphCount,
                             TcxCustomLookAndFeelPainter* APainter, TdxScaleFactor* AScaleFactor) {
  if (IsGlyphValid(AGlyph, AGlyphCount)) {
    TSize size = AGlyph->GetSourceSize();
    if (size.cx <= 0 || size.cy <= 0) size = TSize{AGlyph->Width(), AGlyph->Height()};
    size.cx /= AGlyphCount;
    return AScaleFactor->Apply(size, AGlyph->SourceDPI(), dxDefaultDPI);
  }
  TcxCustomLookAndFeelPainter* painter = APainter;
  if (!painter)
    painter =
        CheckBoxPainter(ANativeStyle && AreVisualStylesAvailable({totButton}) ? lfsNative : lfsStandard);
  if (!painter) return TSize{};
  return painter->ScaledCheckButtonSize(AScaleFactor);
}

int32_t GetEditCheckBorderOffset(TcxContainerBorderStyle ABorderStyle, bool ANativeStyle, bool AHasGlyph,
                                 TcxCustomLookAndFeelPainter* APainter) {
  if (ANativeStyle || AHasGlyph || APainter) return 0;
  return 2 - GetContainerBorderWidth(ABorderStyle);
}

int32_t GetCheckNativeState(TcxCheckBoxState ACheckBoxState, TcxEditCheckState ACheckState) {
  return ANativeCheckStateMap[ACheckBoxState][ACheckState];
}

void DrawCheckBoxText(TcxCanvas* ACanvas, const String& AText, TFont* AFont, bool AEnabledLook,
                      int32_t AFlags, const TRect& ARect, TColor AColor) {
  if (AFont) ACanvas->SetFont(AFont);
  ACanvas->Font()->SetColor(AColor);
  ACanvas->Brush()->SetStyle(bsClear);
  ACanvas->DrawTexT(AText, ARect, AFlags, AEnabledLook);
  ACanvas->Brush()->SetStyle(bsSolid);
}

String GetCheckBoxStateCaptionByGlyphIndex(int32_t AIndex) {
  static const char16_t* const captions[] = {u"Unchecked",         u"Checked",         u"Grayed",
                                             u"Unchecked Pressed", u"Checked Pressed", u"Grayed Pressed"};
  if (AIndex < 0 || AIndex > 5) return u"Not Used";
  return captions[AIndex];
}

void DrawScaledEditCheck(TcxCanvas* ACanvas, const TRect& ACheckRect, TcxCheckBoxState AState,
                         TcxEditCheckState ACheckState, TdxSmartGlyph* AGlyph, int32_t AGlyphCount,
                         TcxEditBorderStyle ABorderStyle, bool ANativeStyle, TColor ABorderColor,
                         TColor ABackgroundColor, bool ADrawBackground, bool AIsDesigning, bool AFocused,
                         bool AHasGrayedGroup, TcxCustomLookAndFeelPainter* APainter,
                         TdxScaleFactor* AScaleFactor,
                         TcxCheckBoxNullValueShowingStyle ANullValueShowingStyle) {
  if (ACheckRect.IsEmpty()) return;
  if (AState == cbsGrayed && ANullValueShowingStyle == nssUnchecked) AState = cbsUnchecked;
  if (IsGlyphValid(AGlyph, AGlyphCount)) {
    DrawCheckBoxGlyph(ACanvas, ACheckRect, AState, ACheckState, AGlyph, AGlyphCount, ABackgroundColor,
                      ADrawBackground, AHasGrayedGroup, AScaleFactor);
    return;
  }
  if (APainter) {
    if (ADrawBackground) ACanvas->FillRect(ACheckRect, ABackgroundColor);
    APainter->DrawScaledCheckButton(ACanvas, ACheckRect, CheckStateToButtonState[ACheckState], AState,
                                    AScaleFactor);
    return;
  }
  if (ANativeStyle) {
    if (TcxCustomLookAndFeelPainter* native = CheckBoxPainter(lfsNative)) {
      native->DrawScaledCheck(ACanvas, ACheckRect, CheckStateToButtonState[ACheckState], AState, clDefault,
                              AScaleFactor);
      return;
    }
  }
  TRect r = ACheckRect;
  DrawCheckBorder(ACanvas, r, ABorderStyle, ACheckState, ABorderColor, ABackgroundColor, ADrawBackground,
                  AIsDesigning, AFocused);
  const TRect content = cxRectInflate(ACheckRect, -2);
  if (content.IsEmpty()) return;
  if (ABorderStyle == cbsUltraFlat || ABorderStyle == cbsOffice11)
    DrawUltraFlatCheckContent(ACanvas, content, AState, ACheckState, ABorderStyle, ANullValueShowingStyle,
                              AScaleFactor);
  else
    DrawSystemCheckContent(ACanvas, content, AState, ACheckState, ABorderStyle, ANullValueShowingStyle);
}

void DrawScaledEditCheck(TcxCanvas* ACanvas, const TRect& ACheckRect, TcxEditCheckState ACheckState,
                         TdxScaleFactor* AScaleFactor, TcxCustomCheckBoxViewInfo* AViewInfo) {
  DrawScaledEditCheck(ACanvas, ACheckRect, AViewInfo->State, ACheckState, AViewInfo->CheckBoxGlyph,
                      AViewInfo->CheckBoxGlyphCount, AViewInfo->CheckBoxBorderStyle, AViewInfo->NativeStyle,
                      AViewInfo->BorderColor, AViewInfo->BackgroundColor(),
                      !AViewInfo->IsBackgroundTransparent(), AViewInfo->IsDesigning, AViewInfo->Focused, true,
                      AViewInfo->UseSkins ? AViewInfo->Painter : nullptr, AScaleFactor,
                      AViewInfo->NullValueShowingStyle);
}

void DrawCustomCheckBox(TcxCanvas* ACanvas, TcxCustomCheckBoxViewInfo* AViewInfo) {
  AViewInfo->DrawCustomEdit(ACanvas, !AViewInfo->Transparent, true);
  if (AViewInfo->CanDrawEditValue()) {
    const TRect faded = cxRectInflate(AViewInfo->CheckBoxRect, -AViewInfo->CheckBorderOffset);
    if (!AViewInfo->FadingHelper()->DrawImage(ACanvas->Handle(), faded))
      DrawScaledEditCheck(ACanvas, AViewInfo->CheckBoxRect, AViewInfo->CheckBoxState,
                          AViewInfo->ScaleFactor(), AViewInfo);
  }
  if (AViewInfo->Alignment != taCenter && !AViewInfo->Text.empty()) {
    const bool enabledLook = AViewInfo->IsInplace || AViewInfo->Enabled || AViewInfo->IsTextColorAssigned ||
                             AViewInfo->NativeStyle;
    DrawCheckBoxText(ACanvas, AViewInfo->Text, AViewInfo->Font, enabledLook, AViewInfo->DrawCaptionFlags,
                     AViewInfo->TextRect, AViewInfo->TextColor);
  }
  if (!AViewInfo->FocusRect.IsEmpty()) {
    ACanvas->Font()->SetColor(clBtnText);
    ACanvas->Brush()->SetColor(AViewInfo->BackgroundColor());
    ACanvas->DrawFocusRect(AViewInfo->FocusRect);
  }
}

void CalculateCheckBoxViewInfo(TcxCustomEditViewData* AViewData, TcxCustomCheckBoxViewInfo* AViewInfo) {
  TRect offsets;
  GetTextEditDrawTextOffset(AViewData, offsets);
  AViewInfo->TextRect = cxRectContent(AViewInfo->ClientRect, offsets);
}

// --- TcxCustomCheckBoxProperties ---------------------------------------------------------------------------

TcxCustomCheckBoxProperties::TcxCustomCheckBoxProperties(TPersistent* AOwner)
    : TcxCustomEditProperties(AOwner),
      FGlyph(std::make_unique<TdxSmartGlyph>()),
      FValueChecked(true),
      FValueGrayed(Null()),
      FValueUnchecked(false) {
  FGlyph->SetTransparent(false);
  FGlyph->OnChange = TNotifyEvent(this, &TcxCustomCheckBoxProperties::GlyphChanged);
}

TcxCustomCheckBoxProperties::~TcxCustomCheckBoxProperties() {
  FGlyph->OnChange = nullptr;
}

bool TcxCustomCheckBoxProperties::IsLoading() const {
  TComponent* owner = GetOwnerComponent(const_cast<TcxCustomCheckBoxProperties*>(this));
  return owner && owner->ComponentState().Contains(csLoading);
}

TcxCheckBoxState TcxCustomCheckBoxProperties::GetState(const Variant& AEditValue) {
  if (InternalVarEqualsExact(AEditValue, FValueChecked)) return cbsChecked;
  if (InternalVarEqualsExact(AEditValue, FValueUnchecked)) return cbsUnchecked;
  return cbsGrayed;
}

Variant TcxCustomCheckBoxProperties::GetValueByState(TcxCheckBoxState AState) {
  switch (AState) {
    case cbsChecked:
      return FValueChecked;
    case cbsGrayed:
      return FValueGrayed;
    default:
      return FValueUnchecked;
  }
}

String TcxCustomCheckBoxProperties::GetDisplayCheckState(TcxCheckBoxState AState) {
  if (FIsDisplayCheckStateAssigned[AState]) return FDisplayCheckState[AState];
  return cxGetResourceString(*kDefaultDisplayCheckStates[AState]);
}

void TcxCustomCheckBoxProperties::SetDisplayCheckState(TcxCheckBoxState AState, const String& Value) {
  if (GetDisplayCheckState(AState) == Value) return;
  FDisplayCheckState[AState] = Value;
  FIsDisplayCheckStateAssigned[AState] = Value != cxGetResourceString(*kDefaultDisplayCheckStates[AState]);
  Changed();
}

void TcxCustomCheckBoxProperties::SetCaption(const String& Value) {
  FCaption = Value;
  FIsCaptionAssigned = true;
  Changed();
}

void TcxCustomCheckBoxProperties::SetGlyph(TdxSmartGlyph* Value) {
  FGlyph->Assign(Value);
  Changed();
}

void TcxCustomCheckBoxProperties::SetGlyphCount(int32_t Value) {
  if (FGlyphCount == Value) return;
  FGlyphCount = Value;
  if (FGlyph) Changed();
}

void TcxCustomCheckBoxProperties::SetValueChecked(const Variant& Value) {
  if (!IsLoading() &&
      (VarIsNull(Value) || InternalVarEqualsExact(Value, FValueChecked) ||
       InternalVarEqualsExact(Value, FValueGrayed) || InternalVarEqualsExact(Value, FValueUnchecked)))
    return;
  FValueChecked = Value;
  Changed();
}

void TcxCustomCheckBoxProperties::SetValueGrayed(const Variant& Value) {
  if (!IsLoading() &&
      (InternalVarEqualsExact(Value, FValueChecked) || InternalVarEqualsExact(Value, FValueGrayed) ||
       InternalVarEqualsExact(Value, FValueUnchecked)))
    return;
  FValueGrayed = Value;
  Changed();
}

void TcxCustomCheckBoxProperties::SetValueUnchecked(const Variant& Value) {
  if (!IsLoading() &&
      (VarIsNull(Value) || InternalVarEqualsExact(Value, FValueChecked) ||
       InternalVarEqualsExact(Value, FValueGrayed) || InternalVarEqualsExact(Value, FValueUnchecked)))
    return;
  FValueUnchecked = Value;
  Changed();
}

bool TcxCustomCheckBoxProperties::IsValueCheckedStored() const {
  return !IsVarExactlyBoolean(FValueChecked, true);
}

bool TcxCustomCheckBoxProperties::IsValueUncheckedStored() const {
  return !IsVarExactlyBoolean(FValueUnchecked, false);
}

bool TcxCustomCheckBoxProperties::CompareDisplayValues(const Variant& AEditValue1,
                                                       const Variant& AEditValue2) {
  return GetState(AEditValue1) == GetState(AEditValue2);
}

TClass TcxCustomCheckBoxProperties::GetContainerClass() const {
  return TcxCheckBox::StaticClass();
}

String TcxCustomCheckBoxProperties::GetDisplayText(const Variant& AEditValue, bool, bool) {
  return GetDisplayCheckState(GetState(AEditValue));
}

TcxEditSpecialFeatures TcxCustomCheckBoxProperties::GetSpecialFeatures() {
  TcxEditSpecialFeatures result = TcxCustomEditProperties::GetSpecialFeatures();
  result.Include(esfNoContentPart);
  result.Include(esfClickable);
  return result;
}

TcxEditSupportedOperations TcxCustomCheckBoxProperties::GetSupportedOperations() {
  return TcxEditSupportedOperations{esoAlwaysHotTrack, esoEditing, esoFiltering,    esoHotTrack,
                                    esoShowingCaption, esoSorting, esoTransparency, esoAutoWidth};
}

TClass TcxCustomCheckBoxProperties::GetViewDataClass() const {
  return TcxCustomCheckBoxViewData::StaticClass();
}

TClass TcxCustomCheckBoxProperties::GetViewInfoClass() const {
  return TcxCustomCheckBoxViewInfo::StaticClass();
}

bool TcxCustomCheckBoxProperties::IsEditValueValid(Variant& EditValue, bool AEditFocused) {
  return TcxCustomEditProperties::IsEditValueValid(EditValue, AEditFocused) &&
         (InternalVarEqualsExact(EditValue, FValueChecked) ||
          InternalVarEqualsExact(EditValue, FValueUnchecked) ||
          InternalVarEqualsExact(EditValue, FValueGrayed));
}

void TcxCustomCheckBoxProperties::PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue,
                                                      bool) {
  DisplayValue = Variant(static_cast<int32_t>(GetState(AEditValue)));
}

void TcxCustomCheckBoxProperties::DoAssign(TcxCustomEditProperties* Source) {
  TcxCustomEditProperties::DoAssign(Source);
  auto* src = ObjectCast<TcxCustomCheckBoxProperties>(Source);
  if (!src) return;
  SetAllowGrayed(src->AllowGrayed());
  FCaption = src->FCaption;
  FIsCaptionAssigned = src->FIsCaptionAssigned;
  for (int i = 0; i < 3; ++i) {
    FDisplayCheckState[i] = src->FDisplayCheckState[i];
    FIsDisplayCheckStateAssigned[i] = src->FIsDisplayCheckStateAssigned[i];
  }
  SetFullFocusRect(src->FullFocusRect());
  SetGlyph(src->Glyph());
  SetGlyphCount(src->GlyphCount());
  SetMultiLine(src->MultiLine());
  SetNullStyle(src->NullStyle());
  SetShowEndEllipsis(src->ShowEndEllipsis());
  SetUseAlignmentWhenInplace(src->UseAlignmentWhenInplace());
  const Variant& checked = src->FValueChecked;
  const Variant& unchecked = src->FValueUnchecked;
  const Variant& grayed = src->FValueGrayed;
  // The three values go together, and only as a valid set.
  if (!VarIsNull(checked) && !VarIsNull(unchecked) && !InternalVarEqualsExact(checked, unchecked) &&
      !InternalVarEqualsExact(checked, grayed) && !InternalVarEqualsExact(unchecked, grayed)) {
    FValueChecked = checked;
    FValueUnchecked = unchecked;
    FValueGrayed = grayed;
    Changed();
  }
}

void TcxCheckBoxProperties::RegisterProperties(TPropertyRegistrar& r) {
  using P = TcxCustomCheckBoxProperties;
  using B = TcxCustomEditProperties;
  r.Prop("Alignment", &B::Alignment, &B::SetAlignment).Stored(&B::IsAlignmentStored);
  r.Prop("AllowGrayed", &P::AllowGrayed, &P::SetAllowGrayed).Default(false);
  // Older forms kept the caption here; it is read, never written.
  r.Prop("Caption", &P::Caption, &P::SetCaption).Stored(false);
  r.Prop("ClearKey", &B::ClearKey, &B::SetClearKey).Default(0);
  r.Prop("DisplayChecked", &P::DisplayChecked, &P::SetDisplayChecked).Stored(&P::IsDisplayCheckedStored);
  r.Prop("DisplayUnchecked", &P::DisplayUnchecked, &P::SetDisplayUnchecked)
      .Stored(&P::IsDisplayUncheckedStored);
  r.Prop("DisplayGrayed", &P::DisplayGrayed, &P::SetDisplayGrayed).Stored(&P::IsDisplayGrayedStored);
  r.Prop("FullFocusRect", &P::FullFocusRect, &P::SetFullFocusRect).Default(false);
  r.Prop("Glyph", &P::Glyph, &P::SetGlyph);
  r.Prop("GlyphCount", &P::GlyphCount, &P::SetGlyphCount).Default(6);
  r.Prop("ImmediatePost", &B::ImmediatePost, &B::SetImmediatePost).Default(false);
  r.Prop("MultiLine", &P::MultiLine, &P::SetMultiLine).Default(false);
  r.Prop("NullStyle", &P::NullStyle, &P::SetNullStyle, CheckBoxNullStyleTypeInfo()).Default(nssGrayedChecked);
  r.Prop("ReadOnly", &B::ReadOnly, &B::SetReadOnly).Stored(&B::IsReadOnlyStored);
  r.Prop("ShowEndEllipsis", &P::ShowEndEllipsis, &P::SetShowEndEllipsis).Default(false);
  r.Prop("UseAlignmentWhenInplace", &P::UseAlignmentWhenInplace, &P::SetUseAlignmentWhenInplace)
      .Default(false);
  r.Prop("ValidationErrorIconAlignment", &B::ValidationErrorIconAlignment,
         &B::SetValidationErrorIconAlignment, TypeInfoTAlignment())
      .Default(taLeftJustify);
  r.Prop("ValidationOptions", &B::ValidationOptions, &B::SetValidationOptions,
         CheckBoxValidationOptionsTypeInfo())
      .Default(1);
  r.Prop("ValueChecked", &P::ValueChecked, &P::SetValueChecked).Stored(&P::IsValueCheckedStored);
  r.Prop("ValueGrayed", &P::ValueGrayed, &P::SetValueGrayed).Stored(&P::IsValueGrayedStored);
  r.Prop("ValueUnchecked", &P::ValueUnchecked, &P::SetValueUnchecked).Stored(&P::IsValueUncheckedStored);
  r.Event("OnChange", &B::OnChange, &B::SetOnChange);
  r.Event("OnEditValueChanged", &B::OnEditValueChanged, &B::SetOnEditValueChanged);
  r.Event("OnValidate", &B::OnValidate, &B::SetOnValidate);
}

// --- Fading
// ----------------------------------------------------------------------------------------------------

TcxCustomCheckControlFadingHelper::TcxCustomCheckControlFadingHelper(TcxCustomCheckBoxViewInfo* AViewInfo)
    : FViewInfo(AViewInfo), FState(AViewInfo->CheckBoxState) {}

TcxCustomEditViewInfo* TcxCustomCheckControlFadingHelper::GetEditViewInfo() {
  return FViewInfo;
}

void TcxCustomCheckControlFadingHelper::UpdateState() {
  const TcxEditCheckState state = FViewInfo->CheckBoxState;
  if (state == FState) return;
  const TcxEditCheckState previous = FState;
  FState = state;
  if (dxFader()) CheckStartFading(CheckStateToButtonState[previous], CheckStateToButtonState[state]);
}

bool TcxCustomCheckControlFadingHelper::CanFade() {
  if (!FViewInfo->IsFadingAvailable() || !GetEditOwner() || FViewInfo->CheckBoxRect.IsEmpty()) return false;
  bool allow = true;
  if (FViewInfo->OnCanStartButtonFading) FViewInfo->OnCanStartButtonFading(FViewInfo, allow);
  return allow;
}

void TcxCustomCheckControlFadingHelper::Invalidate() {
  if (IcxEditOwner* owner = GetEditOwner())
    owner->InvalidateRect(cxRectOffset(FViewInfo->CheckBoxRect, FViewInfo->Left, FViewInfo->Top), false);
}

std::unique_ptr<TcxBitmap> TcxCustomCheckControlFadingHelper::PrepareFadingImage(TcxEditCheckState AState) {
  const TRect box = FViewInfo->CheckBoxRect;
  auto bitmap = std::make_unique<TcxBitmap32>(box.Width(), box.Height(), true);
  TcxCanvas* canvas = bitmap->cxCanvas();
  const TPoint origin = canvas->WindowOrg();
  canvas->SetWindowOrg(TPoint{box.Left, box.Top});
  DrawScaledEditCheck(canvas, box, AState, FViewInfo->ScaleFactor(), FViewInfo);
  canvas->SetWindowOrg(origin);
  const TColor background = FViewInfo->BackgroundColor();
  if (!FViewInfo->IsBackgroundTransparent() && background != clNone && FViewInfo->Painter)
    bitmap->MakeOpaque();
  return bitmap;
}

void TcxCustomCheckControlFadingHelper::GetFadingImages(std::unique_ptr<TcxBitmap>& AFadeOutImage,
                                                        std::unique_ptr<TcxBitmap>& AFadeInImage) {
  AFadeOutImage = PrepareFadingImage(ecsNormal);
  AFadeInImage = PrepareFadingImage(ecsHot);
}

// --- TcxCustomCheckBoxViewInfo
// ------------------------------------------------------------------------------

TcxCustomCheckBoxViewInfo::~TcxCustomCheckBoxViewInfo() {
  if (FFadingHelper && dxFader()) FFadingHelper->StopFading();
}

TcxCustomCheckControlFadingHelper* TcxCustomCheckBoxViewInfo::CreateFadingHelper() {
  return new TcxCheckBoxFadingHelper(this);
}

TcxCustomCheckControlFadingHelper* TcxCustomCheckBoxViewInfo::FadingHelper() {
  if (!FFadingHelper) FFadingHelper.reset(CreateFadingHelper());
  return FFadingHelper.get();
}

void TcxCustomCheckBoxViewInfo::Assign(TObject* Source) {
  TcxCustomTextEditViewInfo::Assign(Source);
  if (auto* src = ObjectCast<TcxCustomCheckBoxViewInfo>(Source)) {
    CheckBoxState = src->CheckBoxState;
    State = src->State;
  }
}

void TcxCustomCheckBoxViewInfo::GetColorSettingsByPainter(TColor& AFillColor, TColor& ATextColor) {
  AFillColor = clDefault;
  ATextColor = clDefault;
  TcxCustomEdit* edit = Edit();
  if (IsInplace || !edit || !UseSkins || !Painter) return;
  const TcxEditStateColorKind kind = Enabled ? esckNormal : esckDisabled;
  TcxContainerStyle* active = edit->ActiveStyle();
  if (!edit->Style()->AssignedValues().Contains(svTextColor) &&
      !active->AssignedValues().Contains(svTextColor))
    ATextColor = Painter->DefaultEditorTextColorEx(kind);
  if (!edit->ParentColor() && !edit->Style()->AssignedValues().Contains(svColor) &&
      !active->AssignedValues().Contains(svColor))
    AFillColor = Painter->DefaultEditorBackgroundColorEx(kind);
}

void TcxCustomCheckBoxViewInfo::Offset(int32_t DX, int32_t DY) {
  TcxCustomTextEditViewInfo::Offset(DX, DY);
  CheckBoxRect = cxRectOffset(CheckBoxRect, DX, DY);
  FocusRect = cxRectOffset(FocusRect, DX, DY);
}

void TcxCustomCheckBoxViewInfo::StoreLastState() {
  TcxCustomTextEditViewInfo::StoreLastState();
  CheckBoxLastState = CheckBoxState;
}

HRGN TcxCustomCheckBoxViewInfo::GetUpdateRegion(TcxContainerViewInfo* AOldViewInfo) {
  HRGN region = TcxCustomTextEditViewInfo::GetUpdateRegion(AOldViewInfo);
  auto* old = ObjectCast<TcxCustomCheckBoxViewInfo>(AOldViewInfo);
  if (old && (old->CheckBoxState != CheckBoxState || old->State != State)) {
    HRGN box = CreateRectRgn(CheckBoxRect.Left, CheckBoxRect.Top, CheckBoxRect.Right, CheckBoxRect.Bottom);
    CombineRgn(region, region, box, RGN_OR);
    DeleteObject(box);
  }
  return region;
}

bool TcxCustomCheckBoxViewInfo::Repaint(TWinControl* AControl, const TRect& AInnerEditRect,
                                        TcxContainerViewInfo* AViewInfo) {
  if (!AControl || !AControl->HandleAllocated()) return false;
  bool result = TcxCustomTextEditViewInfo::Repaint(AControl, AInnerEditRect, AViewInfo);
  auto* old = ObjectCast<TcxCustomCheckBoxViewInfo>(AViewInfo);
  if (!old || old->CheckBoxState != CheckBoxState || old->State != State) {
    const TRect r = cxRectOffset(CheckBoxRect, Left, Top);
    ::qd::InvalidateRect(AControl->Handle(), &r, false);
    result = true;
  }
  return result;
}

void TcxCustomCheckBoxViewInfo::InternalPaint(TcxCanvas* ACanvas) {
  DrawCustomCheckBox(ACanvas, this);
}

// --- TcxCustomCheckBoxViewData
// ------------------------------------------------------------------------------

int32_t TcxCustomCheckBoxViewData::GetContentOffset() {
  return ScaleFactor()->Apply(IsInplace() ? 1 : 2);
}

int32_t TcxCustomCheckBoxViewData::GetTextGap() {
  return ScaleFactor()->Apply(3);
}

int32_t TcxCustomCheckBoxViewData::GetDrawTextFlags() {
  TcxCustomCheckBoxProperties* properties = CheckBoxProperties();
  int32_t flags = cxShowPrefix | cxAlignVCenter;
  if (properties->MultiLine())
    flags |= cxWordBreak | cxDontClip;
  else if (properties->ShowEndEllipsis())
    flags |= cxSingleLine | cxShowEndEllipsis;
  else
    flags |= cxSingleLine;
  TAlignment horz = properties->Alignment()->Horz();
  if (UseRightToLeftAlignment && horz != taCenter)
    horz = horz == taLeftJustify ? taRightJustify : taLeftJustify;
  flags |= cxAlignmentsHorz[horz];
  if (UseRightToLeftReading) flags |= cxRtlReading;
  return flags;
}

String TcxCustomCheckBoxViewData::GetCaption() {
  if (Edit()) return Edit()->Caption();
  return CheckBoxProperties()->Caption();
}

TSize TcxCustomCheckBoxViewData::GetCheckBoxSize() {
  TcxCustomCheckBoxProperties* properties = CheckBoxProperties();
  TcxCustomLookAndFeelPainter* painter = Style() ? Style()->LookAndFeel()->SkinPainter() : nullptr;
  return GetScaledEditCheckSize(nullptr, NativeStyle, properties->InternalGetGlyph(),
                                properties->GlyphCount(), painter, ScaleFactor());
}

void TcxCustomCheckBoxViewData::CalculateCheckBoxRect(TcxCustomCheckBoxViewInfo* AViewInfo) {
  const TRect& client = AViewInfo->ClientRect;
  TSize size = AViewInfo->CheckBoxSize;
  size.cy = std::min(size.cy, client.Height());
  int32_t left = client.Left + (client.Width() - size.cx) / 2;
  const int32_t top = client.Top + (client.Height() - size.cy) / 2;
  if (size.cx < client.Width()) {
    const int32_t offset = IsInplace() && CheckBoxProperties()->IsEmbeddedEdit() ? 0 : GetContentOffset();
    if (AViewInfo->Alignment == taLeftJustify)
      left = client.Left + offset;
    else if (AViewInfo->Alignment == taRightJustify)
      left = client.Right - offset - size.cx;
  }
  AViewInfo->CheckBoxRect = TRect{left, top, left + size.cx, top + size.cy};
}

void TcxCustomCheckBoxViewData::CalculateTextRect(TcxCustomCheckBoxViewInfo* AViewInfo) {
  const TRect& client = AViewInfo->ClientRect;
  const int32_t offset = GetContentOffset();
  TRect r{client.Left + offset, client.Top, client.Right - offset, client.Bottom};
  if (AViewInfo->CheckBoxRect.Width() >= client.Width()) {
    r = TRect{};
  } else if (AViewInfo->Alignment == taLeftJustify) {
    r.Left = AViewInfo->CheckBoxRect.Right + GetTextGap();
  } else if (AViewInfo->Alignment == taRightJustify) {
    r.Right = AViewInfo->CheckBoxRect.Left - GetTextGap();
  }
  const bool enabledLook = IsInplace() || Enabled || AViewInfo->IsTextColorAssigned || NativeStyle;
  if (!enabledLook && !(AViewInfo->UseSkins && AViewInfo->Painter) && !r.IsEmpty()) {
    ++r.Right;
    ++r.Bottom;
  }
  AViewInfo->TextRect = r;
}

void TcxCustomCheckBoxViewData::CalculateCheckBoxState(TcxCustomCheckBoxViewInfo* AViewInfo, const TPoint& P,
                                                       TcxMouseButton Button, TShiftState Shift) {
  const bool buttonDown = Shift.Contains(ssLeft) || Shift.Contains(ssRight) || Shift.Contains(ssMiddle);
  TcxEditCheckState state;
  if (!Enabled)
    state = ecsDisabled;
  else if (IsCheckPressed)
    state = ecsPressed;
  else if (IsDesigning || !cxRectPtIn(AViewInfo->Bounds, P))
    state = ecsNormal;
  else if (!buttonDown)
    state = ecsHot;
  else if (Shift.Contains(ssLeft) && (Button == cxmbLeft || AViewInfo->CheckBoxState == ecsPressed))
    state = ecsPressed;
  else
    state = ecsNormal;
  AViewInfo->CheckBoxState = state;
}

void TcxCustomCheckBoxViewData::CalculateFocusRect(TcxCanvas* ACanvas, TcxCustomCheckBoxViewInfo* AViewInfo) {
  AViewInfo->FocusRect = TRect{};
  if (!Focused) return;
  TcxCustomCheckBoxProperties* properties = CheckBoxProperties();
  const bool centred = AViewInfo->Alignment == taCenter;
  const bool standAlone = !IsInplace() || properties->IsEmbeddedEdit();
  if (!((standAlone && !centred) ||
        (IsInplace() && centred && AViewInfo->PaintOptions.Contains(epoShowFocusRectWhenInplace))))
    return;
  if (centred) {
    AViewInfo->FocusRect = cxRectInflate(AViewInfo->ClientRect, -1);
    return;
  }
  if (AViewInfo->Text.empty() || AViewInfo->TextRect.IsEmpty()) return;
  TRect r = AViewInfo->TextRect;
  if (properties->FullFocusRect()) {
    r = cxRectInflate(r, 1, 0);
  } else {
    if (AViewInfo->Font) ACanvas->SetFont(AViewInfo->Font);
    ACanvas->TextExtent(AViewInfo->Text, r, AViewInfo->DrawCaptionFlags);
    r = cxRectInflate(r, 1, 1);
  }
  const TRect limit =
      IsInplace() ? cxRectInflate(AViewInfo->TextRect, 1, -1) : cxRectInflate(AViewInfo->TextRect, 1, 1);
  TRect limited;
  cxRectIntersect(limited, r, limit);
  limited.Right = std::min(limited.Right, AViewInfo->BorderRect.Right - 1);
  AViewInfo->FocusRect = limited;
}

void TcxCustomCheckBoxViewData::Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                          TcxMouseButton Button, TShiftState Shift,
                                          TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) {
  TcxCustomEditViewData::Calculate(ACanvas, ABounds, P, Button, Shift, AViewInfo, AIsMouseEvent);
  auto* viewInfo = static_cast<TcxCustomCheckBoxViewInfo*>(AViewInfo);
  TcxCustomCheckBoxProperties* properties = CheckBoxProperties();
  // The style's border is the box's, not the editor's.
  viewInfo->EditBorderStyle = cbsNone;
  viewInfo->BorderStyle = cbsNone;
  viewInfo->BorderWidth = 0;
  CalculateCheckBoxViewInfo(this, viewInfo);
  viewInfo->Text = GetCaption();

  if (IsInplace() && !properties->IsEmbeddedEdit() && !properties->UseAlignmentWhenInplace() &&
      viewInfo->Text.empty()) {
    viewInfo->Alignment = taCenter;
  } else {
    TAlignment horz = properties->Alignment()->Horz();
    if (UseRightToLeftAlignment && horz != taCenter)
      horz = horz == taLeftJustify ? taRightJustify : taLeftJustify;
    viewInfo->Alignment = horz;
  }

  TcxEditBorderStyle borderStyle = Style()->BorderStyle();
  if (viewInfo->HotState == chsSelected) {
    switch (borderStyle) {
      case cbsNone:
        borderStyle = cbsFlat;
        break;
      case cbsSingle:
      case cbsThick:
        borderStyle = cbsThick;
        break;
      case cbsFlat:
      case cbs3D:
        borderStyle = cbs3D;
        break;
      default:
        break;
    }
  }
  viewInfo->CheckBoxBorderStyle = borderStyle;

  TcxCustomLookAndFeelPainter* skinPainter = viewInfo->UseSkins ? viewInfo->Painter : nullptr;
  viewInfo->CheckBoxGlyph = properties->InternalGetGlyph();
  viewInfo->CheckBoxGlyphCount = properties->GlyphCount();
  viewInfo->NullValueShowingStyle = properties->NullStyle();
  viewInfo->HasGlyph = IsGlyphValid(viewInfo->CheckBoxGlyph, viewInfo->CheckBoxGlyphCount);
  viewInfo->CheckBorderOffset =
      GetEditCheckBorderOffset(borderStyle, NativeStyle, viewInfo->HasGlyph, skinPainter);
  viewInfo->IsTextColorAssigned = Style()->IsValueAssigned(svTextColor) ||
                                  (skinPainter && skinPainter->DefaultEditorTextColor(false) != clDefault);
  viewInfo->CheckBoxSize = GetScaledEditCheckSize(ACanvas, NativeStyle, viewInfo->CheckBoxGlyph,
                                                  viewInfo->CheckBoxGlyphCount, skinPainter, ScaleFactor());
  CalculateCheckBoxRect(viewInfo);
  CalculateTextRect(viewInfo);
  viewInfo->DrawCaptionFlags = GetDrawTextFlags();
  CalculateCheckBoxState(viewInfo, P, Button, Shift);
  CalculateFocusRect(ACanvas, viewInfo);
  if (IsInplace() && viewInfo->CheckBoxBorderStyle == cbsSingle)
    viewInfo->BorderColor =
        viewInfo->CheckBoxState == ecsHot || (IsDesigning && viewInfo->CheckBoxState != ecsDisabled)
            ? clHighlight
            : clBtnShadow;
  viewInfo->FadingHelper()->UpdateState();
}

void TcxCustomCheckBoxViewData::EditValueToDrawValue(const Variant& AEditValue,
                                                     TcxCustomEditViewInfo* AViewInfo) {
  static_cast<TcxCustomCheckBoxViewInfo*>(AViewInfo)->State = CheckBoxProperties()->GetState(AEditValue);
}

TSize TcxCustomCheckBoxViewData::InternalGetEditConstantPartSize(
    TcxCanvas* ACanvas, bool AIsInplace, const TcxEditSizeProperties& AEditSizeProperties,
    TSize& AMinContentSize, TcxCustomEditViewInfo* AViewInfo) {
  TSize result = TcxCustomEditViewData::InternalGetEditConstantPartSize(
      ACanvas, AIsInplace, AEditSizeProperties, AMinContentSize, AViewInfo);
  const TSize box = GetCheckBoxSize();
  const int32_t offset = GetContentOffset();
  result.cx += box.cx + 2 * offset;
  AMinContentSize.cy = std::max(AMinContentSize.cy, box.cy + 2 * offset);
  return result;
}

TSize TcxCustomCheckBoxViewData::InternalGetEditContentSize(
    TcxCanvas* ACanvas, const Variant&, const TcxEditSizeProperties& AEditSizeProperties) {
  const String caption = GetCaption();
  if (caption.empty() || !ACanvas) return TSize{};
  if (Style()) ACanvas->SetFont(Style()->GetVisibleFont());
  const int32_t gap = GetTextGap();
  int32_t flags = GetDrawTextFlags() & ~(cxAlignVCenter | cxAlignRight | cxAlignHCenter);
  TRect r{0, 0, cxEditMeasuringBoundsSize, cxEditMeasuringBoundsSize};
  if (CheckBoxProperties()->MultiLine() && AEditSizeProperties.Width >= 0)
    r.Right = std::max(1, AEditSizeProperties.Width - gap);
  else
    flags = (flags & ~cxWordBreak) | cxSingleLine;
  ACanvas->TextExtent(caption, r, flags);
  return TSize{r.Width() + gap, r.Height() + 2 * GetContentOffset()};
}

// --- TcxCustomCheckBox
// -------------------------------------------------------------------------------------------

TcxCustomCheckBox::TcxCustomCheckBox(TComponent* AOwner, bool AIsInplace)
    : TcxCustomEdit(AOwner, AIsInplace, &cxCreateContainerStyle<TcxCheckBoxStyle>) {
  SetControlStyle(ControlStyle() - TControlStyle{csDoubleClicks});
  SetParentBackground(true);
  InitializeParentColor();
  SetWidth(121);
  SetHeight(21);
  // The default unchecked value; the properties come later.
  FEditValue = Variant(false);
}

TcxCustomCheckBoxViewInfo* TcxCustomCheckBox::ViewInfo() {
  auto* viewInfo = static_cast<TcxCustomCheckBoxViewInfo*>(TcxCustomEdit::ViewInfo());
  if (viewInfo != FStateViewInfo) {
    FStateViewInfo = viewInfo;
    viewInfo->State = ActiveProperties()->GetState(FEditValue);
  }
  return viewInfo;
}

void TcxCustomCheckBox::CalculateViewInfo(const TPoint& P, TcxMouseButton Button, TShiftState Shift,
                                          bool AIsMouseEvent) {
  ViewInfo();
  TcxCustomEdit::CalculateViewInfo(P, Button, Shift, AIsMouseEvent);
}

void TcxCustomCheckBox::AfterConstruction() {
  TcxCustomEdit::AfterConstruction();
  FEditValue = ActiveProperties()->ValueUnchecked();
  ViewInfo()->State = ActiveProperties()->GetState(FEditValue);
}

TcxCheckBoxState TcxCustomCheckBox::State() {
  if (FIsLoadingStateAssigned && (IsLoading() || FIsLoaded)) return FLoadingState;
  return ActiveProperties()->GetState(FEditValue);
}

void TcxCustomCheckBox::SetState(TcxCheckBoxState Value) {
  if (IsLoading()) {
    FLoadingState = Value;
    FIsLoadingStateAssigned = true;
    return;
  }
  if (Value == State()) return;
  SetInternalEditValue(ActiveProperties()->GetValueByState(Value));
}

void TcxCustomCheckBox::Toggle() {
  LockChangeEvents(true);
  BeginUserAction();
  try {
    switch (State()) {
      case cbsUnchecked:
        SetState(ActiveProperties()->AllowGrayed() ? cbsGrayed : cbsChecked);
        break;
      case cbsChecked:
        SetState(cbsUnchecked);
        break;
      case cbsGrayed:
        SetState(cbsChecked);
        break;
    }
  } catch (...) {
    EndUserAction();
    LockChangeEvents(false);
    throw;
  }
  EndUserAction();
  LockChangeEvents(false);
  if (ActiveProperties()->ImmediatePost() && CanPostEditValue() && ValidateEdit(true))
    InternalPostEditValue(false);
}

String TcxCustomCheckBox::GetDisplayText() {
  return ActiveProperties()->GetDisplayText(FEditValue);
}

void TcxCustomCheckBox::InternalSetEditValue(const Variant& Value, bool AValidateEditValue) {
  TcxCustomEdit::InternalSetEditValue(Value, AValidateEditValue);
  TcxCustomCheckBoxViewInfo* viewInfo = ViewInfo();
  const TcxCheckBoxState state = ActiveProperties()->GetState(FEditValue);
  if (viewInfo->State != state) {
    viewInfo->State = state;
    Click();
    DoChange();
  }
  ShortRefreshContainer(false);
}

void TcxCustomCheckBox::UpdateDrawValue() {
  ViewInfo()->State = ActiveProperties()->GetState(FEditValue);
}

void TcxCustomCheckBox::PropertiesChanged(TObject* Sender) {
  TcxCustomCheckBoxProperties* properties = ActiveProperties();
  if (properties->IsCaptionAssigned()) {
    SetCaption(properties->Caption());
    // Moved once: a caption given to the box later is not replaced by the old one at the next
    // change of its own properties (shared repository properties keep it for every box).
    if (properties == Properties()) properties->CaptionApplied();
  }
  TcxCustomEdit::PropertiesChanged(Sender);
  TcxCustomCheckBoxViewInfo* viewInfo = ViewInfo();
  const TcxCheckBoxState state = properties->GetState(FEditValue);
  if (viewInfo->State == state) return;
  viewInfo->State = state;
  if (HandleAllocated()) {
    const TRect r = cxRectOffset(viewInfo->CheckBoxRect, viewInfo->Left, viewInfo->Top);
    ::qd::InvalidateRect(Handle(), &r, false);
  }
  if (!AreChangeEventsLocked()) {
    Click();
    DoChange();
  }
}

void TcxCustomCheckBox::Loaded() {
  LockChangeEvents(true);
  LockClick(true);
  FIsLoaded = true;
  try {
    TcxCustomEdit::Loaded();
    const bool assigned = FIsLoadingStateAssigned;
    const TcxCheckBoxState state = FLoadingState;
    FIsLoaded = false;
    FIsLoadingStateAssigned = false;
    if (assigned)
      SetState(state);
    else if (!DataBinding()->IDefaultValuesProvider()->IsDataStorage())
      SetState(cbsUnchecked);
  } catch (...) {
    FIsLoaded = false;
    LockClick(false);
    LockChangeEvents(false, false);
    throw;
  }
  LockClick(false);
  LockChangeEvents(false, false);
}

void TcxCustomCheckBox::InitializeViewData(TcxCustomEditViewData* AViewData) {
  TcxCustomEdit::InitializeViewData(AViewData);
  if (auto* viewData = ObjectCast<TcxCustomCheckBoxViewData>(AViewData))
    viewData->IsCheckPressed = FIsCheckPressed;
}

bool TcxCustomCheckBox::IsNativeBackground() {
  return !IsInplace() && !IsTransparent() && ParentBackground();
}

bool TcxCustomCheckBox::CanAutoWidth() {
  return ActiveProperties()->Alignment()->Horz() != taCenter;
}

bool TcxCustomCheckBox::IsHeightDependOnWidth() {
  return ActiveProperties()->MultiLine();
}

void TcxCustomCheckBox::PopulateSizeProperties(TcxEditSizeProperties& AEditSizeProperties) {
  TcxCustomEdit::PopulateSizeProperties(AEditSizeProperties);
  AEditSizeProperties.MaxLineCount = ActiveProperties()->MultiLine() ? 0 : 1;
}

void TcxCustomCheckBox::SetCheckPressed(bool Value) {
  if (FIsCheckPressed == Value) return;
  FIsCheckPressed = Value;
  ShortRefreshContainer(false);
}

void TcxCustomCheckBox::DoExit() {
  SetCheckPressed(false);
  TcxCustomEdit::DoExit();
}

bool TcxCustomCheckBox::DoRefreshContainer(const TPoint& P, TcxMouseButton Button, TShiftState Shift,
                                           bool AIsMouseEvent) {
  const TcxEditCheckState previous = ViewInfo()->CheckBoxState;
  const bool result = TcxCustomEdit::DoRefreshContainer(P, Button, Shift, AIsMouseEvent);
  if (AIsMouseEvent && previous == ecsPressed && ViewInfo()->CheckBoxState == ecsHot && !FIsCheckPressed &&
      (IsInplace() || Focused()))
    Toggle();
  return result;
}

void TcxCustomCheckBox::DoEditKeyDown(WORD& Key, TShiftState Shift) {
  if (Key != VK_SPACE) {
    TcxCustomEdit::DoEditKeyDown(Key, Shift);
    return;
  }
  const TcxEditCheckState state = ViewInfo()->CheckBoxState;
  if (state == ecsNormal || state == ecsHot) SetCheckPressed(true);
  Key = 0;
}

void TcxCustomCheckBox::DoEditKeyUp(WORD& Key, TShiftState Shift) {
  TcxCustomEdit::DoEditKeyUp(Key, Shift);
  if (Key != VK_SPACE || !FIsCheckPressed) return;
  SetCheckPressed(false);
  if (HandleAllocated()) {
    const TRect r = cxRectOffset(ViewInfo()->CheckBoxRect, ViewInfo()->Left, ViewInfo()->Top);
    ::qd::InvalidateRect(Handle(), &r, false);
  }
  Toggle();
}

void TcxCustomCheckBox::DoEditKeyPress(Char& Key) {
  if (Key != u' ') {
    TcxCustomEdit::DoEditKeyPress(Key);
    return;
  }
  if (IsInplace() && !FIsCheckPressed) Toggle();
  Key = 0;
}

void TcxCustomCheckBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONUP: {
      // The click event comes from the state change alone.
      TControlState state = ControlState();
      state.Exclude(csClicked);
      SetControlState(state);
      break;
    }
    case WM_GETDLGCODE:
      TcxCustomEdit::WndProc(Message);
      // Escape reaches the box while there is a change to take back.
      if (ModifiedAfterEnter() && GetKeyState(VK_ESCAPE) < 0) Message.Result |= DLGC_WANTALLKEYS;
      return;
    case CM_DIALOGCHAR:
      if (CanFocus() && CheckBoxIsAccelerator(static_cast<Char>(Message.WParam), Caption())) {
        if (!Focused()) SetFocus();
        if (Focused()) Toggle();
        Message.Result = 1;
        return;
      }
      break;
    case CM_PARENTCOLORCHANGED:
      TcxCustomEdit::WndProc(Message);
      // The themed box is drawn over the parent's background.
      if (HandleAllocated() && ViewInfo()->NativeStyle && ParentBackground()) {
        const TRect r = cxRectOffset(ViewInfo()->CheckBoxRect, ViewInfo()->Left, ViewInfo()->Top);
        ::qd::InvalidateRect(Handle(), &r, false);
      }
      return;
    case CM_TEXTCHANGED:
      TcxCustomEdit::WndProc(Message);
      ShortRefreshContainer(false);
      DoSetSize();
      return;
    default:
      break;
  }
  TcxCustomEdit::WndProc(Message);
}

TcxContainerStyleValues TcxCustomCheckBox::InternalGetNotPublishedStyleValues() {
  TcxContainerStyleValues result = TcxCustomEdit::InternalGetNotPublishedStyleValues();
  result.Include(svEdges);
  return result;
}

void TcxCheckBox::RegisterProperties(TPropertyRegistrar& r) {
  using C = TcxCustomCheckBox;
  r.Prop("Caption", &C::Caption, &C::SetCaption);
  r.Prop("Checked", &C::Checked, &C::SetChecked).Stored(false);
  r.Prop("Properties", &TcxCheckBox::Properties, &C::SetProperties);
  r.Prop("State", &C::State, &C::SetState, CheckBoxStateTypeInfo()).Default(cbsUnchecked);
  r.Prop("Style", &C::Style, &C::SetStyle);
  r.Prop("StyleDisabled", &TcxCustomEdit::StyleDisabled);
  r.Prop("StyleFocused", &TcxCustomEdit::StyleFocused);
  r.Prop("StyleHot", &TcxCustomEdit::StyleHot);
  r.Prop("Transparent", &TcxControl::Transparent, &TcxControl::SetTransparent).Default(false);
}

// --- TcxFilterCheckBoxHelper
// ----------------------------------------------------------------------------------

TcxFilterEditHelperClass TcxFilterCheckBoxHelper::Class() {
  static const TcxFilterCheckBoxHelper instance;
  return &instance;
}

TcxFilterControlOperators TcxFilterCheckBoxHelper::GetSupportedFilterOperators(TcxCustomEditProperties*,
                                                                               TcxValueTypeClass,
                                                                               bool) const {
  return TcxFilterControlOperators{fcoEqual, fcoNotEqual, fcoBlanks, fcoNonBlanks};
}

TClass TcxFilterCheckBoxHelper::GetFilterEditClass() const {
  return TcxComboBox::StaticClass();
}

void TcxFilterCheckBoxHelper::InitializeProperties(TcxCustomEditProperties* AProperties,
                                                   TcxCustomEditProperties* AEditProperties,
                                                   bool AHasButtons) const {
  auto* combo = ObjectCast<TcxCustomComboBoxProperties>(AProperties);
  if (!combo) {
    TcxCustomFilterEditHelper::InitializeProperties(AProperties, AEditProperties, AHasButtons);
    return;
  }
  combo->BeginUpdate();
  try {
    FilterComboBoxHelper()->InitializeProperties(AProperties, AEditProperties, AHasButtons);
    GetFilterItems(AEditProperties, combo->Items());
    combo->SetDropDownListStyle(lsFixedList);
  } catch (...) {
    combo->EndUpdate();
    throw;
  }
  combo->EndUpdate();
}

void TcxFilterCheckBoxHelper::GetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AEditProperties,
                                             Variant& V, String& S) const {
  auto* combo = ObjectCast<TcxCustomComboBox>(AEdit);
  if (!combo) {
    TcxCustomFilterEditHelper::GetFilterValue(AEdit, AEditProperties, V, S);
    return;
  }
  V = ItemIndexToValue(AEditProperties, combo->ItemIndex());
  S = combo->GetDisplayText();
}

void TcxFilterCheckBoxHelper::SetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AEditProperties,
                                             const Variant& AValue) const {
  if (auto* combo = ObjectCast<TcxCustomComboBox>(AEdit))
    combo->SetItemIndex(ValueToItemIndex(AEditProperties, AValue));
}

void TcxFilterCheckBoxHelper::GetFilterItems(TcxCustomEditProperties* AEditProperties, TStrings* AItems) {
  auto* properties = static_cast<TcxCustomCheckBoxProperties*>(AEditProperties);
  AItems->Clear();
  AItems->Add(properties->GetDisplayText(properties->ValueChecked()));
  AItems->Add(properties->GetDisplayText(properties->ValueUnchecked()));
}

Variant TcxFilterCheckBoxHelper::ItemIndexToValue(TcxCustomEditProperties* AEditProperties,
                                                  int32_t AItemIndex) {
  auto* properties = static_cast<TcxCustomCheckBoxProperties*>(AEditProperties);
  if (AItemIndex == 0) return properties->ValueChecked();
  if (AItemIndex == 1) return properties->ValueUnchecked();
  return Null();
}

int32_t TcxFilterCheckBoxHelper::ValueToItemIndex(TcxCustomEditProperties* AEditProperties,
                                                  const Variant& AValue) {
  switch (static_cast<TcxCustomCheckBoxProperties*>(AEditProperties)->GetState(AValue)) {
    case cbsChecked:
      return 0;
    case cbsUnchecked:
      return 1;
    default:
      return -1;
  }
}

// --- Start-up
// -----------------------------------------------------------------------------------------------------

namespace cxCheckBox {

void Initialize() {
  if (gCheckBoxUnitCounter++ > 0) return;
  GetRegisteredEditProperties()->Register(TcxCheckBoxProperties::StaticClass(),
                                          cxGetResourceString(scxSEditRepositoryCheckBoxDescription));
  FilterEditsController()->Register(TcxCheckBoxProperties::StaticClass(), TcxFilterCheckBoxHelper::Class());
  // Stored forms name the editor's class.
  RegisterClass(TcxCheckBox::StaticClass());
}

void Finalize() {
  if (gCheckBoxUnitCounter == 0 || --gCheckBoxUnitCounter > 0) return;
  UnRegisterClass(TcxCheckBox::StaticClass());
  if (FilterEditsControllerAssigned())
    FilterEditsController()->Unregister(TcxCheckBoxProperties::StaticClass(),
                                        TcxFilterCheckBoxHelper::Class());
}

}  // namespace cxCheckBox

}  // namespace qd
