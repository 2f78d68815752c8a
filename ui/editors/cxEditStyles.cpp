// Editor styles and the editor style controller.
#include "ui/editors/cxEdit.h"

#include "platform/classes/rtti.h"
#include "platform/forms/graphics.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxCustomEditStyle)
QD_IMPLEMENT_CLASS(TcxEditStyle)
QD_IMPLEMENT_CLASS(TcxEditStyleController)

const char16_t* const cxEditStyleValueNameA[cxEditStyleValueCount - cxContainerStyleValueCount] = {
    u"ButtonStyle",     u"ButtonTransparency", u"PopupBorderStyle",
    u"GradientButtons", u"Gradient",           u"GradientDirection"};

TcxCustomEditStyle::TcxCustomEditStyle(TPersistent* AOwner, bool ADirectAccessMode,
                                       TcxContainerStyle* AParentStyle, TcxContainerStateItem AState)
    : TcxContainerStyle(AOwner, ADirectAccessMode, AParentStyle, AState) {}

void TcxCustomEditStyle::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TcxCustomEditStyle*>(Source);
  if (!src) {
    TcxContainerStyle::Assign(Source);
    return;
  }
  BeginUpdate();
  FButtonStyle = src->FButtonStyle;
  FButtonTransparency = src->FButtonTransparency;
  FGradient = src->FGradient;
  FGradientButtons = src->FGradientButtons;
  FGradientDirection = src->FGradientDirection;
  FPopupBorderStyle = src->FPopupBorderStyle;
  FPopupCloseButton = src->FPopupCloseButton;
  TcxContainerStyle::Assign(Source);
  Changed();
  EndUpdate();
}

bool TcxCustomEditStyle::GetStyleValueName(TcxContainerStyleValue AStyleValue, String& StyleValueName) {
  if (AStyleValue >= cxContainerStyleValueCount && AStyleValue < cxEditStyleValueCount) {
    StyleValueName = cxEditStyleValueNameA[AStyleValue - cxContainerStyleValueCount];
    return true;
  }
  return TcxContainerStyle::GetStyleValueName(AStyleValue, StyleValueName);
}

TcxCustomEditStyle* TcxCustomEditStyle::AssigningEditStyle(TcxContainerStyleValue AValue) {
  // A plain container controller's styles have no editor values: the walk ends there.
  TcxCustomEditStyle* editStyle = this;
  while (editStyle && !editStyle->FAssignedValues.Contains(AValue))
    editStyle = dynamic_cast<TcxCustomEditStyle*>(editStyle->ChainStyle());
  return editStyle;
}

bool TcxCustomEditStyle::IsValueAssigned(TcxContainerStyleValue AValue) {
  if (AValue >= cxContainerStyleValueCount && AValue < cxEditStyleValueCount) {
    if (DirectAccessMode()) return FAssignedValues.Contains(AValue);
    return AssigningEditStyle(AValue) != nullptr;
  }
  return TcxContainerStyle::IsValueAssigned(AValue);
}

void TcxCustomEditStyle::Init(TColor AColor, TFont* AFont, TColor ATextColor) {
  BeginUpdate();
  SetColor(AColor);
  if (AFont) SetFont(AFont);
  SetTextColor(ATextColor);
  EndUpdate();
}

// Reads a value: own when assigned, else from the controller chain, else the default.
#define QD_EDIT_STYLE_GETTER(Type, Name, Field, Bit)                                        \
  Type TcxCustomEditStyle::Name() {                                                         \
    if (DirectAccessMode()) return FAssignedValues.Contains(Bit) ? Field : Default##Name(); \
    TcxCustomEditStyle* s = AssigningEditStyle(Bit);                                        \
    return s ? s->Field : Default##Name();                                                  \
  }
QD_EDIT_STYLE_GETTER(TcxEditButtonStyle, ButtonStyle, FButtonStyle, svButtonStyle)
QD_EDIT_STYLE_GETTER(TcxEditButtonTransparency, ButtonTransparency, FButtonTransparency, svButtonTransparency)
QD_EDIT_STYLE_GETTER(TcxEditPopupBorderStyle, PopupBorderStyle, FPopupBorderStyle, svPopupBorderStyle)
QD_EDIT_STYLE_GETTER(bool, GradientButtons, FGradientButtons, svGradientButtons)
QD_EDIT_STYLE_GETTER(bool, Gradient, FGradient, svGradient)
QD_EDIT_STYLE_GETTER(TcxEditGradientDirection, GradientDirection, FGradientDirection, svGradientDirection)
#undef QD_EDIT_STYLE_GETTER

template <class T>
void TcxCustomEditStyle::SetEditValue(T& AField, const T& Value, TcxContainerStyleValue ABit) {
  if (FAssignedValues.Contains(ABit) && AField == Value) return;
  AField = Value;
  FAssignedValues.Include(ABit);
  Changed();
}

void TcxCustomEditStyle::SetButtonStyle(TcxEditButtonStyle Value) {
  SetEditValue(FButtonStyle, Value, svButtonStyle);
}

// The values below exist once per editor: other states forward them to the normal style.
void TcxCustomEditStyle::SetButtonTransparency(TcxEditButtonTransparency Value) {
  if (!IsBaseStyle()) return BaseEditStyle()->SetButtonTransparency(Value);
  SetEditValue(FButtonTransparency, Value, svButtonTransparency);
}

void TcxCustomEditStyle::SetPopupBorderStyle(TcxEditPopupBorderStyle Value) {
  if (!IsBaseStyle()) return BaseEditStyle()->SetPopupBorderStyle(Value);
  SetEditValue(FPopupBorderStyle, Value, svPopupBorderStyle);
}

void TcxCustomEditStyle::SetGradientButtons(bool Value) {
  if (!IsBaseStyle()) return BaseEditStyle()->SetGradientButtons(Value);
  SetEditValue(FGradientButtons, Value, svGradientButtons);
}

void TcxCustomEditStyle::SetGradient(bool Value) {
  if (!IsBaseStyle()) return BaseEditStyle()->SetGradient(Value);
  SetEditValue(FGradient, Value, svGradient);
}

void TcxCustomEditStyle::SetGradientDirection(TcxEditGradientDirection Value) {
  if (!IsBaseStyle()) return BaseEditStyle()->SetGradientDirection(Value);
  SetEditValue(FGradientDirection, Value, svGradientDirection);
}

bool TcxCustomEditStyle::PopupCloseButton() {
  return BaseEditStyle()->FPopupCloseButton;
}

void TcxCustomEditStyle::SetPopupCloseButton(bool Value) {
  TcxCustomEditStyle* base = BaseEditStyle();
  if (base->FPopupCloseButton == Value) return;
  base->FPopupCloseButton = Value;
  base->Changed();
}

bool TcxCustomEditStyle::IsExtendedValueStored(TcxContainerStyleValue AValue) {
  if (!FAssignedValues.Contains(AValue)) return false;
  TcxContainer* container = Container();
  if (!container) return true;
  String name;
  GetStyleValueName(AValue, name);
  return container->IsStylePropertyPublished(name, State() != csNormal);
}

// Defaults: the base values on the normal style, the parent's effective value elsewhere.
TcxEditButtonStyle TcxCustomEditStyle::DefaultButtonStyle() {
  return IsBaseStyle() ? btsDefault : BaseEditStyle()->ButtonStyle();
}
TcxEditButtonTransparency TcxCustomEditStyle::DefaultButtonTransparency() {
  return IsBaseStyle() ? ebtNone : BaseEditStyle()->ButtonTransparency();
}
bool TcxCustomEditStyle::DefaultGradient() {
  return IsBaseStyle() ? false : BaseEditStyle()->Gradient();
}
bool TcxCustomEditStyle::DefaultGradientButtons() {
  return IsBaseStyle() ? false : BaseEditStyle()->GradientButtons();
}
TcxEditGradientDirection TcxCustomEditStyle::DefaultGradientDirection() {
  return IsBaseStyle() ? dirDown : BaseEditStyle()->GradientDirection();
}
TcxEditPopupBorderStyle TcxCustomEditStyle::DefaultPopupBorderStyle() {
  return IsBaseStyle() ? epbsDefault : BaseEditStyle()->PopupBorderStyle();
}

TcxStyleController* TcxCustomEditStyle::GetDefaultStyleController() {
  if (DirectAccessMode()) return nullptr;
  TcxContainer* container = Container();
  if (container && container->IsInplace()) return nullptr;
  if (TcxEditStyleController* controller = DefaultEditStyleController()) return controller;
  return TcxContainerStyle::GetDefaultStyleController();
}

TcxContainerStyleValues TcxCustomEditStyle::InternalGetNotPublishedExtendedStyleValues() {
  return TcxContainerStyleValues{svEdges,
                                 svFont,
                                 svHotTrack,
                                 svShadow,
                                 svTransparentBorder,
                                 svButtonTransparency,
                                 svPopupBorderStyle,
                                 svGradientButtons,
                                 svGradient,
                                 svGradientDirection};
}

TcxEditStyleController::TcxEditStyleController(TComponent* AOwner) : TcxStyleController(AOwner) {
  CreateStyles();
}

// --- Stored forms --------------------------------------------------------------------------------

namespace {

const TTypeInfo* EditBorderStyleTypeInfo() {
  static const TTypeInfo info = MakeEnumTypeInfo(
      u"TcxEditBorderStyle",
      {u"ebsNone", u"ebsSingle", u"ebsThick", u"ebsFlat", u"ebs3D", u"ebsUltraFlat", u"ebsOffice11"});
  return &info;
}

const TTypeInfo* EditButtonStyleTypeInfo() {
  static const TTypeInfo info = MakeEnumTypeInfo(
      u"TcxEditButtonStyle",
      {u"btsDefault", u"bts3D", u"btsFlat", u"btsSimple", u"btsHotFlat", u"btsUltraFlat", u"btsOffice11"});
  return &info;
}

const TTypeInfo* EditButtonTransparencyTypeInfo() {
  static const TTypeInfo info =
      MakeEnumTypeInfo(u"TcxEditButtonTransparency",
                       {u"ebtNone", u"ebtInactive", u"ebtAlways", u"ebtHideInactive", u"ebtHideUnselected"});
  return &info;
}

const TTypeInfo* EditPopupBorderStyleTypeInfo() {
  static const TTypeInfo info = MakeEnumTypeInfo(
      u"TcxEditPopupBorderStyle", {u"epbsDefault", u"epbsSingle", u"epbsFrame3D", u"epbsFlat"});
  return &info;
}

// The range dirLeft to dirDown of the direction type.
const TTypeInfo* EditGradientDirectionTypeInfo() {
  static const TTypeInfo info =
      MakeEnumTypeInfo(u"TcxEditGradientDirection", {u"dirLeft", u"dirRight", u"dirUp", u"dirDown"}, dirLeft);
  return &info;
}

const TTypeInfo* BordersTypeInfo() {
  static const TTypeInfo element = MakeEnumTypeInfo(u"TcxBorder", {u"bLeft", u"bTop", u"bRight", u"bBottom"});
  static const TTypeInfo info = MakeSetTypeInfo(u"TcxBorders", &element);
  return &info;
}

const TTypeInfo* StyleValuesTypeInfo() {
  static const TTypeInfo element = MakeEnumTypeInfo(
      u"TcxEditStyleValue",
      {u"svBorderColor", u"svBorderStyle", u"svColor", u"svEdges", u"svFont", u"svHotTrack", u"svShadow",
       u"svTextColor", u"svTextStyle", u"svTransparentBorder", u"svButtonStyle", u"svButtonTransparency",
       u"svPopupBorderStyle", u"svGradientButtons", u"svGradient", u"svGradientDirection"});
  static const TTypeInfo info = MakeSetTypeInfo(u"TcxEditStyleValues", &element);
  return &info;
}

// A style value is written when it is assigned and its editor publishes it for the state.
void StoredWhenAssigned(TPropBuilder AProp, TcxContainerStyleValue AValue) {
  AProp.NoDefault();
  AProp.Info()->IsStored = [AValue](TObject* o) {
    return static_cast<TcxContainerStyle*>(o)->IsValueStored(AValue);
  };
}

}  // namespace

TcxEditStyleController* TcxEditStyle::EditStyleController() {
  return dynamic_cast<TcxEditStyleController*>(StyleController());
}

void TcxEditStyle::RegisterProperties(TPropertyRegistrar& r) {
  using S = TcxContainerStyle;
  using E = TcxCustomEditStyle;
  // The values carry their own bits (and the font its "IsFontAssigned"): the set itself is
  // not written, so a state never gets a bit its editor does not publish.
  r.Prop("AssignedValues", &TcxEditStyle::AssignedValueBits, &TcxEditStyle::SetAssignedValueBits,
         StyleValuesTypeInfo())
      .Stored(false);
  StoredWhenAssigned(r.Prop("BorderColor", &S::BorderColor, &S::SetBorderColor, TypeInfoTColor()),
                     svBorderColor);
  StoredWhenAssigned(r.Prop("BorderStyle", &S::BorderStyle, &S::SetBorderStyle, EditBorderStyleTypeInfo()),
                     svBorderStyle);
  StoredWhenAssigned(r.Prop("ButtonStyle", &E::ButtonStyle, &E::SetButtonStyle, EditButtonStyleTypeInfo()),
                     svButtonStyle);
  StoredWhenAssigned(r.Prop("ButtonTransparency", &E::ButtonTransparency, &E::SetButtonTransparency,
                            EditButtonTransparencyTypeInfo()),
                     svButtonTransparency);
  StoredWhenAssigned(r.Prop("Color", &S::Color, &S::SetColor, TypeInfoTColor()), svColor);
  StoredWhenAssigned(r.Prop("Edges", &S::Edges, &S::SetEdges, BordersTypeInfo()), svEdges);
  StoredWhenAssigned(r.Prop("Font", &S::Font, &S::SetFont), svFont);
  StoredWhenAssigned(r.Prop("Gradient", &E::Gradient, &E::SetGradient), svGradient);
  StoredWhenAssigned(r.Prop("GradientButtons", &E::GradientButtons, &E::SetGradientButtons),
                     svGradientButtons);
  StoredWhenAssigned(r.Prop("GradientDirection", &E::GradientDirection, &E::SetGradientDirection,
                            EditGradientDirectionTypeInfo()),
                     svGradientDirection);
  StoredWhenAssigned(r.Prop("HotTrack", &S::HotTrack, &S::SetHotTrack), svHotTrack);
  // The look and feel exists once, in the normal style; its own values say what is written.
  r.Prop("LookAndFeel", &S::LookAndFeel, &S::SetLookAndFeel).Stored(&TcxEditStyle::IsLookAndFeelStored);
  StoredWhenAssigned(r.Prop("PopupBorderStyle", &E::PopupBorderStyle, &E::SetPopupBorderStyle,
                            EditPopupBorderStyleTypeInfo()),
                     svPopupBorderStyle);
  StoredWhenAssigned(r.Prop("Shadow", &S::Shadow, &S::SetShadow), svShadow);
  r.Prop("StyleController", &TcxEditStyle::EditStyleController, &S::SetStyleController).Info()->IsStored =
      [](TObject* o) { return static_cast<TcxContainerStyle*>(o)->IsStyleControllerStored(); };
  StoredWhenAssigned(r.Prop("TextColor", &S::TextColor, &S::SetTextColor, TypeInfoTColor()), svTextColor);
  StoredWhenAssigned(r.Prop("TextStyle", &S::TextStyle, &S::SetTextStyle, TypeInfoTFontStyles()),
                     svTextStyle);
  StoredWhenAssigned(r.Prop("TransparentBorder", &S::TransparentBorder, &S::SetTransparentBorder),
                     svTransparentBorder);
}

void TcxEditStyleController::RegisterProperties(TPropertyRegistrar& r) {
  using C = TcxEditStyleController;
  r.Prop("FakeStyleController", &TcxStyleController::FakeStyleController,
         &TcxStyleController::SetFakeStyleController);
  r.Prop("Scalable", &TcxScalableComponent::Scalable, &TcxScalableComponent::SetScalable).Default(true);
  r.Prop("Style", &C::Style, &C::SetStyle);
  r.Prop("StyleDisabled", &C::StyleDisabled, &C::SetStyleDisabled);
  r.Prop("StyleFocused", &C::StyleFocused, &C::SetStyleFocused);
  r.Prop("StyleHot", &C::StyleHot, &C::SetStyleHot);
  r.Event("OnStyleChanged", &TcxStyleController::OnStyleChanged);
}

}  // namespace qd
