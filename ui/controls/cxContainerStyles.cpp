// The container style model: four state styles, their defaults and the chain through style
// controllers.
#include <algorithm>

#include "platform/base/mathutil.h"
#include "platform/base/strings.h"
#include "platform/classes/filer.h"
#include "ui/controls/cxContainer.h"
#include "ui/graphics/cxGraphicsResources.h"

namespace qd {

const char16_t* const cxContainerStyleValueNameA[cxContainerStyleValueCount] = {
    u"BorderColor", u"BorderStyle", u"Color",     u"Edges",     u"Font",
    u"HotTrack",    u"Shadow",      u"TextColor", u"TextStyle", u"TransparentBorder"};

const TcxContainerBorderStyle AStyleBorderStyles[4] = {cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11};

const TcxContainerBorderStyle ABorderStyles[4][7] = {
    {cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11},
    {cbsFlat, cbsThick, cbsThick, cbs3D, cbs3D, cbsUltraFlat, cbsOffice11},
    {cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11},
    {cbsFlat, cbsThick, cbsThick, cbs3D, cbs3D, cbsUltraFlat, cbsOffice11}};

QD_IMPLEMENT_CLASS(TcxContainerStyle)
QD_IMPLEMENT_CLASS(TcxContainerStyles)
QD_IMPLEMENT_CLASS(TcxStyleController)

TcxStyleController* cxContainerDefaultStyleController = nullptr;

TcxStyleController* DefaultContainerStyleController() {
  return cxContainerDefaultStyleController;
}

// --- TcxContainerStyle -----------------------------------------------------------------------------

TcxContainerStyle::TcxContainerStyle(TPersistent* AOwner, bool ADirectAccessMode,
                                     TcxContainerStyle* AParentStyle, TcxContainerStateItem AState)
    : TcxInterfacedPersistent(AOwner), FDirectAccessMode(ADirectAccessMode), FState(AState) {
  if (AState != csNormal) FParentStyle = AParentStyle;
  if (FDirectAccessMode) FAssignedValues = {svColor, svFont, svTextColor, svTextStyle};
  if (IsBaseStyle() && !FDirectAccessMode) {
    FOwnFont = std::make_unique<TFont>();
    FOwnFont->OnChange = TNotifyEvent(this, &TcxContainerStyle::FontChanged);
    StyleData.Font = FOwnFont.get();
  }
  FVisibleFont = std::make_unique<TFont>();
  if (IsBaseStyle()) {
    FLookAndFeel = std::make_unique<TcxLookAndFeel>(this);
    FLookAndFeel->SetOnChanged(TcxLookAndFeelChangedEvent(this, &TcxContainerStyle::LookAndFeelChanged));
    BaseSetStyleController(GetDefaultStyleController());
  }
}

TcxContainerStyle::~TcxContainerStyle() {
  FIsDestroying = true;
  if (IsBaseStyle() && FStyleController) FStyleController->RemoveListener(this);
  FLookAndFeel.reset();
  FVisibleFont.reset();
  if (FOwnFont) FOwnFont->OnChange = nullptr;
  FOwnFont.reset();
}

TcxContainer* TcxContainerStyle::Container() const {
  return dynamic_cast<TcxContainer*>(FOwner);
}

void TcxContainerStyle::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {
  Changed();
}

void TcxContainerStyle::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TcxContainerStyle*>(Source);
  if (!src) {
    TcxInterfacedPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  if (IsBaseStyle()) {
    BaseSetStyleController(src->StyleController());
    LookAndFeel()->Assign(src->LookAndFeel());
  }
  FBorderColor = src->FBorderColor;
  FBorderStyle = src->FBorderStyle;
  FEdges = src->FEdges;
  FHotTrack = src->FHotTrack;
  FShadow = src->FShadow;
  FTransparentBorder = src->FTransparentBorder;
  StyleData.Color = src->StyleData.Color;
  if (FDirectAccessMode) {
    StyleData.Font = src->Font();
    StyleData.FontColor = src->TextColor();
  } else {
    if (IsBaseStyle() && src->Font()) {
      StyleData.Font->Assign(src->Font());
      if (src->DirectAccessMode()) StyleData.Font->SetColor(src->TextColor());
    }
    StyleData.FontColor = src->TextColor();
    FTextStyle = src->TextStyle();
  }
  FAssignedValues = src->FAssignedValues;
  Changed();
  EndUpdate();
}

void TcxContainerStyle::DefineProperties(TFiler* Filer) {
  TcxInterfacedPersistent::DefineProperties(Filer);
  const bool hasData = IsValueStored(svFont);
  Filer->DefineProperty(
      u"IsFontAssigned", [this](TReader* R) { ReadIsFontAssigned(R); },
      [this](TWriter* W) { WriteIsFontAssigned(W); }, hasData);
}

void TcxContainerStyle::ReadIsFontAssigned(TReader* AReader) {
  AReader->ReadBoolean();
  TcxContainerStyleValues values = FAssignedValues;
  values.Include(svFont);
  SetAssignedValues(values);
}

void TcxContainerStyle::WriteIsFontAssigned(TWriter* AWriter) {
  AWriter->WriteBoolean(true);
}

void TcxContainerStyle::EndUpdate() {
  if (FUpdateCount == 0) return;
  --FUpdateCount;
  CheckChanges();
}

bool TcxContainerStyle::GetStyleValue(const String& APropertyName, TcxContainerStyleValue& StyleValue) {
  for (int32_t i = 0; i < GetStyleValueCount(); ++i) {
    String name;
    if (GetStyleValueName(i, name) && SameText(name, APropertyName)) {
      StyleValue = i;
      return true;
    }
  }
  return false;
}

bool TcxContainerStyle::GetStyleValueName(TcxContainerStyleValue AStyleValue, String& StyleValueName) {
  if (AStyleValue >= 0 && AStyleValue < cxContainerStyleValueCount) {
    StyleValueName = cxContainerStyleValueNameA[AStyleValue];
    return true;
  }
  StyleValueName = String();
  return false;
}

bool TcxContainerStyle::HasBorder() {
  return IsBaseStyle() ? true : FParentStyle->HasBorder();
}

TcxStyleController* TcxContainerStyle::ActiveStyleController() {
  return IsBaseStyle() ? FStyleController : FParentStyle->FStyleController;
}

TcxContainerStyle* TcxContainerStyle::ChainStyle() {
  TcxStyleController* controller = ActiveStyleController();
  return controller ? controller->InternalStyle(FState) : nullptr;
}

bool TcxContainerStyle::IsValueAssigned(TcxContainerStyleValue AValue) {
  if (AValue < svBorderColor || AValue > svTextStyle) return false;
  // A controller's style is linked on to its own controller; the walk ends at a style
  // without one (the default controller's) and cannot loop because linking refuses cycles.
  return AssigningStyle(AValue) != nullptr;
}

TcxContainerStyle* TcxContainerStyle::AssigningStyle(TcxContainerStyleValue V) {
  TcxContainerStyle* s = this;
  while (s && !s->FAssignedValues.Contains(V)) s = s->ChainStyle();
  return s;
}

TcxContainerStyleValues TcxContainerStyle::AssignedValues() const {
  if (FDirectAccessMode) {
    TcxContainerStyleValues all;
    for (int32_t i = 0; i < const_cast<TcxContainerStyle*>(this)->GetStyleValueCount(); ++i) all.Include(i);
    return all;
  }
  return FAssignedValues;
}

void TcxContainerStyle::SetAssignedValues(TcxContainerStyleValues Value) {
  if (FAssignedValues == Value) return;
  FAssignedValues = Value;
  if (IsBaseStyle()) UpdateFont();
  Changed();
}

TColor TcxContainerStyle::BorderColor() {
  if (FDirectAccessMode) return clDefault;
  TcxContainerStyle* s = AssigningStyle(svBorderColor);
  return s ? s->FBorderColor : DefaultBorderColor();
}

TcxContainerBorderStyle TcxContainerStyle::BorderStyle() {
  if (FDirectAccessMode) return FAssignedValues.Contains(svBorderStyle) ? FBorderStyle : DefaultBorderStyle();
  TcxContainerStyle* s = AssigningStyle(svBorderStyle);
  return s ? s->FBorderStyle : DefaultBorderStyle();
}

TColor TcxContainerStyle::GetColor() {
  if (FDirectAccessMode) return StyleData.Color;
  if (IsBaseStyle()) {
    TcxContainer* c = Container();
    if (c && c->ParentColor() && c->Parent()) return c->Parent()->Color();
  }
  TcxContainerStyle* s = AssigningStyle(svColor);
  return s ? s->StyleData.Color : DefaultColor();
}

TColor TcxContainerStyle::GetStyleColor() {
  if (FDirectAccessMode) return StyleData.Color;
  TcxContainerStyle* s = AssigningStyle(svColor);
  if (s) return s->StyleData.Color;
  if (IsBaseStyle()) {
    TcxContainer* c = Container();
    if (c && !c->IsInplace() && c->ParentColor() && c->Parent()) return c->Parent()->Color();
  }
  return DefaultColor();
}

TcxBorders TcxContainerStyle::Edges() {
  if (FDirectAccessMode) return TcxBorders{};
  if (!IsBaseStyle()) return FParentStyle->Edges();
  TcxContainerStyle* s = AssigningStyle(svEdges);
  return s ? s->FEdges : DefaultEdges();
}

TFont* TcxContainerStyle::Font() {
  if (!FDirectAccessMode && !IsBaseStyle()) return FParentStyle->Font();
  return StyleData.Font;
}

bool TcxContainerStyle::HotTrack() {
  if (FDirectAccessMode) return FAssignedValues.Contains(svHotTrack) ? FHotTrack : DefaultHotTrack();
  if (!IsBaseStyle()) return FParentStyle->HotTrack();
  TcxContainerStyle* s = AssigningStyle(svHotTrack);
  return s ? s->FHotTrack : DefaultHotTrack();
}

bool TcxContainerStyle::Shadow() {
  if (FDirectAccessMode) return false;
  if (!IsBaseStyle()) return FParentStyle->Shadow();
  TcxContainerStyle* s = AssigningStyle(svShadow);
  return s ? s->FShadow : DefaultShadow();
}

TColor TcxContainerStyle::GetTextColor() {
  if (FDirectAccessMode) return StyleData.FontColor;
  TcxContainerStyle* s = AssigningStyle(svTextColor);
  return s ? s->StyleData.FontColor : DefaultTextColor();
}

TFontStyles TcxContainerStyle::GetTextStyle() {
  if (FDirectAccessMode) return StyleData.Font ? StyleData.Font->Style() : TFontStyles{};
  TcxContainerStyle* s = AssigningStyle(svTextStyle);
  return s ? s->FTextStyle : DefaultTextStyle();
}

bool TcxContainerStyle::TransparentBorder() {
  if (FDirectAccessMode) return true;
  if (!IsBaseStyle()) return FParentStyle->TransparentBorder();
  TcxContainerStyle* s = AssigningStyle(svTransparentBorder);
  return s ? s->FTransparentBorder : DefaultTransparentBorder();
}

template <class T>
void TcxContainerStyle::SetValue(T& AField, const T& AValue, TcxContainerStyleValue ABit) {
  if (FAssignedValues.Contains(ABit) && AField == AValue) return;
  AField = AValue;
  FAssignedValues.Include(ABit);
  Changed();
}

void TcxContainerStyle::SetBorderColor(TColor Value) {
  SetValue(FBorderColor, Value, svBorderColor);
}
void TcxContainerStyle::SetBorderStyle(TcxContainerBorderStyle Value) {
  SetValue(FBorderStyle, Value, svBorderStyle);
}
void TcxContainerStyle::SetColor(TColor Value) {
  SetValue(StyleData.Color, Value, svColor);
}

void TcxContainerStyle::SetEdges(TcxBorders Value) {
  if (!IsBaseStyle()) return FParentStyle->SetEdges(Value);
  SetValue(FEdges, Value, svEdges);
}

void TcxContainerStyle::SetHotTrack(bool Value) {
  if (!IsBaseStyle()) return FParentStyle->SetHotTrack(Value);
  SetValue(FHotTrack, Value, svHotTrack);
}

void TcxContainerStyle::SetShadow(bool Value) {
  if (!IsBaseStyle()) return FParentStyle->SetShadow(Value);
  SetValue(FShadow, Value, svShadow);
}

void TcxContainerStyle::SetTransparentBorder(bool Value) {
  if (!IsBaseStyle()) return FParentStyle->SetTransparentBorder(Value);
  SetValue(FTransparentBorder, Value, svTransparentBorder);
}

void TcxContainerStyle::SetTextColor(TColor Value) {
  if (FAssignedValues.Contains(svTextColor) && GetTextColor() == Value) return;
  StyleData.FontColor = Value;
  FAssignedValues.Include(svTextColor);
  Changed();
}

void TcxContainerStyle::SetTextStyle(TFontStyles Value) {
  if (FAssignedValues.Contains(svTextStyle) && GetTextStyle() == Value) return;
  FTextStyle = Value;
  FAssignedValues.Include(svTextStyle);
  Changed();
}

void TcxContainerStyle::SetFont(TFont* Value) {
  if (FDirectAccessMode) {
    StyleData.Font = Value;
    return;
  }
  if (!IsBaseStyle()) return FParentStyle->SetFont(Value);
  // The font's own change event would mark the bit too; one notification is enough.
  LockFontAssignedValue(true);
  StyleData.Font->Assign(Value);
  LockFontAssignedValue(false);
  FAssignedValues.Include(svFont);
  Changed();
}

void TcxContainerStyle::LockFontAssignedValue(bool ALock) {
  if (ALock)
    ++FFontAssignedValueLockCount;
  else if (FFontAssignedValueLockCount > 0)
    --FFontAssignedValueLockCount;
}

void TcxContainerStyle::FontChanged(TObject*) {
  if (FFontAssignedValueLockCount == 0) FAssignedValues.Include(svFont);
  Changed();
}

void TcxContainerStyle::UpdateFont() {
  if (FDirectAccessMode || !IsBaseStyle() || FAssignedValues.Contains(svFont)) return;
  LockFontAssignedValue(true);
  TcxContainerStyle* s = ChainStyle() ? ChainStyle()->AssigningStyle(svFont) : nullptr;
  TcxContainer* c = Container();
  if (s) {
    StyleData.Font->Assign(s->Font());
    if (FStyleController && c)
      StyleData.Font->SetHeight(
          c->GetScaleFactor()->Apply(s->Font()->Height(), FStyleController->GetScaleFactor()));
  } else if (!c || !c->ParentFont()) {
    cxResetFont(StyleData.Font);
  }
  LockFontAssignedValue(false);
}

TFont* TcxContainerStyle::GetVisibleFont() {
  if (Font()) FVisibleFont->Assign(Font());
  FVisibleFont->SetColor(TextColor());
  FVisibleFont->SetStyle(TextStyle());
  return FVisibleFont.get();
}

TcxStyleController* TcxContainerStyle::BaseGetStyleController() {
  if (!IsBaseStyle()) return FParentStyle->BaseGetStyleController();
  return FStyleController == GetDefaultStyleController() ? nullptr : FStyleController;
}

void TcxContainerStyle::BaseSetStyleController(TcxStyleController* Value) {
  if (!IsBaseStyle()) return FParentStyle->BaseSetStyleController(Value);
  TcxStyleController* defaultController = GetDefaultStyleController();
  if (defaultController && defaultController == FOwner) return;
  if (!Value) Value = defaultController;
  // A controller whose chain leads back to this style would make the chain endless.
  for (TcxStyleController* c = Value; c; c = c->Style()->StyleController())
    if (c->Style() == this) return;
  if (Value == FStyleController) return;
  if (FStyleController) FStyleController->RemoveListener(this);
  FStyleController = Value;
  if (FStyleController) FStyleController->AddListener(this);
  ControllerChangedNotification(FStyleController);
}

void TcxContainerStyle::ControllerChangedNotification(TcxStyleController*) {
  UpdateFont();
  Changed();
}

void TcxContainerStyle::ControllerFreeNotification(TcxStyleController* AStyleController) {
  if (AStyleController && AStyleController == ActiveStyleController()) BaseSetStyleController(nullptr);
}

void TcxContainerStyle::Changed() {
  FModified = true;
  CheckChanges();
}

void TcxContainerStyle::CheckChanges() {
  if (!FModified || FUpdateCount != 0) return;
  FModified = false;
  if (!FIsDestroying && !FDirectAccessMode && OnChanged) OnChanged(this);
}

TColor TcxContainerStyle::DefaultBorderColor() {
  if (FState == csDisabled) return clBtnShadow;
  if (IsBaseStyle()) return clWindowFrame;
  return FParentStyle->BorderColor();
}

TcxContainerBorderStyle TcxContainerStyle::DefaultBorderStyle() {
  if (IsBaseStyle()) return AStyleBorderStyles[LookAndFeel()->Kind()];
  const TcxContainerStateItem row = (HotTrack() || FState == csDisabled) ? FState : csNormal;
  return ABorderStyles[row][FParentStyle->BorderStyle()];
}

TColor TcxContainerStyle::DefaultColor() {
  TcxContainer* c = Container();
  const bool parentColor = !c || c->DefaultParentColor();
  if (IsBaseStyle()) return parentColor ? clBtnFace : clWindow;
  if (FState == csDisabled && !parentColor) return clBtnFace;
  return FParentStyle->GetColor();
}

TColor TcxContainerStyle::DefaultTextColor() {
  if (FState == csDisabled) return DefaultDisabledTextColor();
  if (IsBaseStyle()) return StyleData.Font ? StyleData.Font->Color() : clWindowText;
  return FParentStyle->TextColor();
}

TFontStyles TcxContainerStyle::DefaultTextStyle() {
  if (IsBaseStyle()) return StyleData.Font ? StyleData.Font->Style() : TFontStyles{};
  return FParentStyle->TextStyle();
}

TcxStyleController* TcxContainerStyle::GetDefaultStyleController() {
  return cxContainerDefaultStyleController;
}

TcxContainerStyleValues TcxContainerStyle::InternalGetNotPublishedExtendedStyleValues() {
  return {svEdges, svFont, svHotTrack, svShadow, svTransparentBorder};
}

bool TcxContainerStyle::IsExtendedStylePropertyPublished(const String& APropertyName) {
  if (APropertyName == u"LookAndFeel" || APropertyName == u"StyleController") return false;
  TcxContainerStyleValue value;
  if (GetStyleValue(APropertyName, value))
    return !InternalGetNotPublishedExtendedStyleValues().Contains(value);
  return true;
}

bool TcxContainerStyle::IsValueStored(TcxContainerStyleValue AValue) {
  if (!FAssignedValues.Contains(AValue)) return false;
  TcxContainer* c = Container();
  if (!c) return true;
  String name;
  GetStyleValueName(AValue, name);
  return c->IsStylePropertyPublished(name, FState != csNormal);
}

void TcxContainerStyle::RestoreDefaults() {
  BeginUpdate();
  SetAssignedValues({});
  if (IsBaseStyle()) {
    LookAndFeel()->Reset();
    TcxContainer* c = Container();
    if (c) {
      c->SetParentColor(false);
      c->SetParentFont(true);
    } else if (!FDirectAccessMode) {
      cxResetFont(StyleData.Font);
    }
    if (c && c->DefaultParentColor()) {
      TcxStyleController* controller = ActiveStyleController();
      if (!controller || !controller->Style()->AssignedValues().Contains(svColor)) c->SetParentColor(true);
    }
  }
  EndUpdate();
}

// --- TcxContainerStyles ----------------------------------------------------------------------------

TcxContainerStyles::TcxContainerStyles(TPersistent* AOwner, TcxContainerStyleClass AStyleClass) {
  FStyles[csNormal] = AStyleClass(AOwner, false, nullptr, csNormal);
  for (TcxContainerStateItem s : {csActive, csDisabled, csHotTrack})
    FStyles[s] = AStyleClass(AOwner, false, FStyles[csNormal], s);
}

TcxContainerStyles::~TcxContainerStyles() {
  for (int i = csHotTrack; i >= csNormal; --i) delete FStyles[i];
}

void TcxContainerStyles::RestoreDefaults() {
  for (TcxContainerStyle* s : FStyles) s->RestoreDefaults();
}

void TcxContainerStyles::SetOnChanged(const TNotifyEvent& Value) {
  for (TcxContainerStyle* s : FStyles) s->OnChanged = Value;
}

// --- TcxStyleController ----------------------------------------------------------------------------

TcxStyleController::TcxStyleController(TComponent* AOwner) : TcxScalableComponent(AOwner) {
  CreateStyles();
}

void TcxStyleController::CreateStyles() {
  FStyles.reset();
  FStyles = std::make_unique<TcxContainerStyles>(this, GetStyleClass());
  FStyles->SetOnChanged(TNotifyEvent(this, &TcxStyleController::StyleChanged));
}

TcxStyleController::~TcxStyleController() {
  FIsDestruction = true;
  for (size_t i = FListeners.size(); i-- > 0;)
    if (i < FListeners.size()) FListeners[i]->ControllerFreeNotification(this);
  FStyles.reset();
}

void TcxStyleController::Loaded() {
  TcxScalableComponent::Loaded();
  Changed();
}

bool TcxStyleController::IsListener(TcxContainerStyle* AStyle) const {
  return std::find(FListeners.begin(), FListeners.end(), AStyle) != FListeners.end();
}

void TcxStyleController::AddListener(TcxContainerStyle* AListener) {
  if (!AListener || IsListener(AListener)) return;
  FListeners.push_back(AListener);
  AListener->LookAndFeel()->SetMasterLookAndFeel(Style()->LookAndFeel());
}

void TcxStyleController::RemoveListener(TcxContainerStyle* AListener) {
  auto it = std::find(FListeners.begin(), FListeners.end(), AListener);
  if (it == FListeners.end()) return;
  FListeners.erase(it);
  if (!AListener->IsDestroying()) AListener->LookAndFeel()->SetMasterLookAndFeel(nullptr);
}

void TcxStyleController::RestoreStyles() {
  FStyles->RestoreDefaults();
}

void TcxStyleController::Changed() {
  if (OnStyleChanged) OnStyleChanged(this);
  if (FIsDestruction) return;
  const size_t count = FListeners.size();
  for (size_t i = 0; i < count && i < FListeners.size(); ++i)
    FListeners[i]->ControllerChangedNotification(this);
}

void TcxStyleController::ChangeScale(int32_t M, int32_t D) {
  TcxScalableComponent::ChangeScale(M, D);
  for (TcxContainerStateItem s : {csNormal, csActive, csDisabled, csHotTrack}) {
    TcxContainerStyle* style = FStyles->Style(s);
    if (style->AssignedValues().Contains(svFont) && style->Font())
      style->Font()->SetHeight(MulDiv(style->Font()->Height(), M, D));
  }
}

}  // namespace qd
