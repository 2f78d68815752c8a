// The popup edit: the drop-down editor that moves a control of the application into its popup.
#include "ui/editors/cxDropDownEditPopupEdit.h"

#include "platform/os/user.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/editors/cxEditConsts.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxCustomPopupEditProperties)
QD_IMPLEMENT_CLASS(TcxPopupEditProperties)
QD_IMPLEMENT_CLASS(TcxPopupEditPopupWindowViewInfo)
QD_IMPLEMENT_CLASS(TcxPopupEditPopupWindow)
QD_IMPLEMENT_CLASS(TcxCustomPopupEdit)
QD_IMPLEMENT_CLASS(TcxPopupEdit)

namespace {

const TTypeInfo* PopupEditMaskKindTypeInfo() {
  static const TTypeInfo info =
      MakeEnumTypeInfo(u"TcxEditMaskKind", {u"emkStandard", u"emkRegExpr", u"emkRegExprEx"});
  return &info;
}

}  // namespace

// --- Properties ----------------------------------------------------------------------------------

TcxCustomPopupEditProperties::TcxCustomPopupEditProperties(TPersistent* AOwner)
    : TcxCustomDropDownEditProperties(AOwner),
      FFreeNotificator(std::make_unique<TcxFreeNotificator>(nullptr)) {
  FFreeNotificator->SetOnFreeNotification(
      TcxFreeNotificationEvent(this, &TcxCustomPopupEditProperties::FreeNotification));
  SetPopupAutoSize(true);
  SetPopupMinHeight(100);
  SetPopupMinWidth(100);
  SetPopupHeight(200);
  SetPopupWidth(250);
  BeginUpdate();
  SetPopupSizeable(true);
  EndUpdate(false);
}

TcxCustomPopupEditProperties::~TcxCustomPopupEditProperties() {
  if (FPopupControl) FFreeNotificator->RemoveSender(FPopupControl);
}

TClass TcxCustomPopupEditProperties::GetContainerClass() const {
  return TcxPopupEdit::StaticClass();
}

TClass TcxCustomPopupEditProperties::GetPopupWindowClass() {
  return TcxPopupEditPopupWindow::StaticClass();
}

void TcxCustomPopupEditProperties::SetPopupControl(TControl* Value) {
  if (FPopupControl == Value) return;
  if (FPopupControl) FFreeNotificator->RemoveSender(FPopupControl);
  FPopupControl = Value;
  if (FPopupControl) FFreeNotificator->AddSender(FPopupControl);
}

void TcxCustomPopupEditProperties::FreeNotification(TComponent* AComponent) {
  if (AComponent == FPopupControl) FPopupControl = nullptr;
}

void TcxCustomPopupEditProperties::DoAssign(TcxCustomEditProperties* Source) {
  TcxCustomDropDownEditProperties::DoAssign(Source);
  if (auto* source = dynamic_cast<TcxCustomPopupEditProperties*>(Source))
    SetPopupControl(source->PopupControl());
}

TcxPopupEditProperties::TcxPopupEditProperties(TPersistent* AOwner) : TcxCustomPopupEditProperties(AOwner) {
  SetImmediateDropDownWhenActivated(true);
}

void TcxPopupEditProperties::RegisterProperties(TPropertyRegistrar& r) {
  using P = TcxCustomPopupEditProperties;
  using D = TcxCustomDropDownEditProperties;
  using M = TcxCustomMaskEditProperties;
  using B = TcxCustomEditProperties;
  TcxTextEditProperties::RegisterProperties(r);
  // Like the mask editor it starts validating on Enter, so only a cleared setting is stored.
  r.Prop("ValidateOnEnter", &B::ValidateOnEnter, &B::SetValidateOnEnter).Default(true);
  r.Prop("ButtonGlyph", &D::ButtonGlyph, &D::SetButtonGlyph);
  r.Prop("CaseInsensitive", &M::CaseInsensitive, &M::SetCaseInsensitive).Default(true);
  r.Prop("IgnoreMaskBlank", &M::IgnoreMaskBlank, &M::SetIgnoreMaskBlank).Default(false);
  r.Prop("ImmediateDropDownWhenActivated", &D::ImmediateDropDownWhenActivated,
         &D::SetImmediateDropDownWhenActivated)
      .Default(true);
  r.Prop("ImmediateDropDownWhenKeyPressed", &D::ImmediateDropDownWhenKeyPressed,
         &D::SetImmediateDropDownWhenKeyPressed)
      .Default(true);
  r.Prop("MaskKind", &M::MaskKind, &M::SetMaskKind, PopupEditMaskKindTypeInfo()).Default(emkStandard);
  r.Prop("EditMask", &M::EditMask, &M::SetEditMask);
  r.Prop("PopupAlignment", &D::PopupAlignment, &D::SetPopupAlignment, TypeInfoTAlignment())
      .Default(taLeftJustify);
  r.Prop("PopupAutoSize", &D::PopupAutoSize, &D::SetPopupAutoSize).Default(true);
  r.Prop("PopupClientEdge", &D::PopupClientEdge, &D::SetPopupClientEdge).Default(false);
  r.Prop("PopupControl", &P::PopupControl, &P::SetPopupControl);
  // The minimums first: a stored size is held to them.
  r.Prop("PopupMinHeight", &D::PopupMinHeight, &D::SetPopupMinHeight).Default(100);
  r.Prop("PopupMinWidth", &D::PopupMinWidth, &D::SetPopupMinWidth).Default(100);
  r.Prop("PopupHeight", &D::PopupHeight, &D::SetPopupHeight).Default(200);
  r.Prop("PopupSizeable", &D::PopupSizeable, &D::SetPopupSizeable).Default(true);
  r.Prop("PopupSysPanelStyle", &D::PopupSysPanelStyle, &D::SetPopupSysPanelStyle).Default(false);
  r.Prop("PopupWidth", &D::PopupWidth, &D::SetPopupWidth).Default(250);
  r.Event("OnCloseQuery", &D::OnCloseQuery);
  r.Event("OnCloseUp", &D::OnCloseUp);
  r.Event("OnInitPopup", &D::OnInitPopup);
  r.Event("OnPopup", &D::OnPopup);
}

// --- The popup window ----------------------------------------------------------------------------

void TcxPopupEditPopupWindowViewInfo::DrawBorder(TcxCanvas* ACanvas, TRect& R) {
  const bool clientEdge = ClientEdge;
  ClientEdge = true;
  try {
    TcxCustomEditPopupWindowViewInfo::DrawBorder(ACanvas, R);
  } catch (...) {
    ClientEdge = clientEdge;
    throw;
  }
  ClientEdge = clientEdge;
}

TcxPopupEditPopupWindow::TcxPopupEditPopupWindow(TWinControl* AOwnerControl)
    : TcxCustomEditPopupWindow(AOwnerControl, TcxPopupEditPopupWindowViewInfo::StaticClass()) {}

// --- The editor ----------------------------------------------------------------------------------

TcxCustomPopupEdit::TcxCustomPopupEdit(TComponent* AOwner, bool AIsInplace)
    : TcxCustomDropDownEdit(AOwner, AIsInplace),
      FFreeNotificator(std::make_unique<TcxFreeNotificator>(nullptr)) {
  FFreeNotificator->SetOnFreeNotification(
      TcxFreeNotificationEvent(this, &TcxCustomPopupEdit::SavedControlFreed));
}

TcxCustomPopupEdit::~TcxCustomPopupEdit() {
  // The hosted control outlives the popup window: it goes home first.
  if (HasPopupWindow() || FSavedPopupControl) RestorePopupControlData();
  if (FSavedPopupControl) FFreeNotificator->RemoveSender(FSavedPopupControl);
  if (FPrevPopupControlData.Parent) FFreeNotificator->RemoveSender(FPrevPopupControlData.Parent);
  if (FPrevPopupControlData.ActiveControl)
    FFreeNotificator->RemoveSender(FPrevPopupControlData.ActiveControl);
}

void TcxCustomPopupEdit::Watch(TComponent* AComponent) {
  if (AComponent) FFreeNotificator->AddSender(AComponent);
}

void TcxCustomPopupEdit::SavedControlFreed(TComponent* AComponent) {
  if (AComponent == FSavedPopupControl) FSavedPopupControl = nullptr;
  if (AComponent == FPrevPopupControlData.Parent) FPrevPopupControlData.Parent = nullptr;
  if (AComponent == FPrevPopupControlData.ActiveControl) FPrevPopupControlData.ActiveControl = nullptr;
}

bool TcxCustomPopupEdit::CanDropDown() {
  return ActiveProperties()->PopupControl() != nullptr;
}

void TcxCustomPopupEdit::DoInitPopup() {
  if (TControl* control = ActiveProperties()->PopupControl()) {
    bool circular = control == PopupWindow() || control == this;
    for (TControl* parent = Parent(); parent && !circular; parent = parent->Parent())
      circular = parent == control;
    if (circular) throw EcxEditError(cxGetResourceString(cxSEditPopupCircularReferencingError));
  }
  TcxCustomDropDownEdit::DoInitPopup();
}

TWinControl* TcxCustomPopupEdit::GetPopupFocusedControl() {
  return dynamic_cast<TWinControl*>(ActiveProperties()->PopupControl());
}

void TcxCustomPopupEdit::GetPopupWindowClientPreferredSize(TSize& ASize) {
  TControl* control = ActiveProperties()->PopupControl();
  ASize = control ? TSize{control->Width(), control->Height()} : TSize{0, 0};
}

void TcxCustomPopupEdit::PositionPopupWindowChildren(const TRect& AClientRect) {
  if (TControl* control = ActiveProperties()->PopupControl()) control->SetBoundsRect(AClientRect);
}

void TcxCustomPopupEdit::SetupPopupWindow() {
  TControl* control = ActiveProperties()->PopupControl();
  TcxCustomEditPopupWindow* popup = PopupWindow();
  if (!control || !popup) {
    TcxCustomDropDownEdit::SetupPopupWindow();
    return;
  }
  // Set up again while open (a properties change): the control is already in the popup and its
  // home data are kept.
  if (control->Parent() != popup) {
    SavePopupControlData();
    dxAssignFont(popup->Font(), control->Font(), popup->ScaleFactor(),
                 dxGetScaleFactor(GetParentForm(control, true)));
    // Unaligned while it moves, so the popup's current size does not reshape it before the
    // popup is sized from it.
    control->SetAlign(alNone);
    control->SetParent(popup);
    control->SetVisible(true);
  }
  TcxCustomDropDownEdit::SetupPopupWindow();
  control->SetAlign(alClient);
}

void TcxCustomPopupEdit::SavePopupControlData() {
  TControl* control = ActiveProperties()->PopupControl();
  if (!control) return;
  RestorePopupControlData();
  FPrevPopupControlData = TcxPrevPopupControlData{};
  FPrevPopupControlData.Align = control->Align();
  FPrevPopupControlData.Bounds = control->BoundsRect();
  FPrevPopupControlData.Parent = control->Parent();
  FPrevPopupControlData.Visible = control->Visible();
  if (auto* form = dynamic_cast<TCustomForm*>(control)) {
    FPrevPopupControlData.BorderStyle = form->BorderStyle();
    form->SetBorderStyle(bsNone);
  }
  FSavedPopupControl = control;
  Watch(FSavedPopupControl);
  Watch(FPrevPopupControlData.Parent);
}

void TcxCustomPopupEdit::RestorePopupControlData() {
  // The saved data belong to the control that was moved, whatever the properties name now.
  TControl* control = FSavedPopupControl;
  if (!control) return;
  // The popup window the control is in (never made here: this also runs while destroying).
  auto* popup = dynamic_cast<TcxCustomEditPopupWindow*>(control->Parent());
  for (TControl* c = FPrevPopupControlData.ActiveControl; c && c != popup; c = c->Parent())
    c->Perform(CM_EXIT, 0, 0);
  if (FPrevPopupControlData.ActiveControl) {
    FFreeNotificator->RemoveSender(FPrevPopupControlData.ActiveControl);
    FPrevPopupControlData.ActiveControl = nullptr;
  }
  control->SetVisible(false);
  const bool disable = popup && popup->HandleAllocated();
  if (disable) EnableWindow(popup->Handle(), FALSE);
  try {
    control->SetParent(FPrevPopupControlData.Parent);
  } catch (...) {
    if (disable) EnableWindow(popup->Handle(), TRUE);
    throw;
  }
  if (disable) EnableWindow(popup->Handle(), TRUE);
  // A form that lost its border for the popup gets it back.
  if (auto* form = dynamic_cast<TCustomForm*>(control))
    form->SetBorderStyle(FPrevPopupControlData.BorderStyle);
  control->SetAlign(FPrevPopupControlData.Align);
  control->SetBoundsRect(FPrevPopupControlData.Bounds);
  control->SetVisible(FPrevPopupControlData.Visible);
  FFreeNotificator->RemoveSender(control);
  if (FPrevPopupControlData.Parent) FFreeNotificator->RemoveSender(FPrevPopupControlData.Parent);
  FSavedPopupControl = nullptr;
}

void TcxCustomPopupEdit::PopupWindowClosing(TObject* Sender) {
  if (FPrevPopupControlData.ActiveControl)
    FFreeNotificator->RemoveSender(FPrevPopupControlData.ActiveControl);
  auto* popup = dynamic_cast<TcxCustomEditPopupWindow*>(Sender);
  FPrevPopupControlData.ActiveControl = popup ? popup->ActiveControl() : nullptr;
  Watch(FPrevPopupControlData.ActiveControl);
  TcxCustomDropDownEdit::PopupWindowClosing(Sender);
}

void TcxCustomPopupEdit::PopupWindowClosed(TObject* Sender) {
  RestorePopupControlData();
  TcxCustomDropDownEdit::PopupWindowClosed(Sender);
}

void TcxCustomPopupEdit::HidePopup(TObject* Sender, TcxEditCloseUpReason AReason) {
  FCloseUpReason = AReason;
  FCloseUpReasonSet = true;
  if (TcxCustomEditPopupWindow* popup = PopupWindow(); popup && popup->HandleAllocated()) popup->ClosePopup();
}

void TcxPopupEdit::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Properties", &TcxPopupEdit::Properties, &TcxPopupEdit::SetProperties);
}

}  // namespace qd
