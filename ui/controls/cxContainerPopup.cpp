// The container popup window, the registry of shown popups and the popup-closing hooks.
#include "ui/controls/cxContainerPopup.h"

#include <algorithm>

#include "platform/base/mathutil.h"
#include "platform/os/user.h"
#include "ui/controls/cxContainer.h"
#include "ui/controls/cxControlsWindowUtils.h"
#include "ui/controls/cxControlsWndProc.h"
#include "ui/core/dxHooks.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxPopupVisibleController)
QD_IMPLEMENT_CLASS(TcxCustomPopupWindow)

namespace {

TcxPopupVisibleController* FPopupVisibleController = nullptr;
// While a popup is being shown or hidden.
bool FPopupWindowShowing = false;
// While a popup is being shown or closed by a click: no caption goes inactive.
bool FCaptionInactivationLocked = false;
TcxCustomPopupWindow* FBeingShownPopupWindow = nullptr;
bool FTopMostComboBoxes = true;

// Owner chains through popups are short; the cap only guards against a cycle.
constexpr int kMaxPopupOwnerChain = 64;

TcxCustomPopupWindow* PopupOfWindow(HWND AWnd) {
  return dynamic_cast<TcxCustomPopupWindow*>(FindControl(AWnd));
}

bool IsOwnerDestroying(const TcxCustomPopupWindow* APopup) {
  const TWinControl* owner = APopup->OwnerControl();
  return owner == nullptr || owner->ComponentState().Contains(csDestroying);
}

// Shown, not being destroyed, with a live owner that has a window.
bool IsPopupUsable(TcxCustomPopupWindow* APopup) {
  return !APopup->IsBeingDestroyed() && !IsOwnerDestroying(APopup) &&
         APopup->OwnerControl()->HandleAllocated();
}

bool IsPopupInactiveCapturer(TcxCustomPopupWindow* APopup) {
  return APopup->CaptureFocus() && !(APopup->HandleAllocated() && GetActiveWindow() == APopup->Handle());
}

class TPopupShowingScope {
 public:
  explicit TPopupShowingScope(TcxCustomPopupWindow* APopup, bool ALockCaption)
      : FPrevShowing(FPopupWindowShowing), FPrevCaption(FCaptionInactivationLocked) {
    FPopupWindowShowing = true;
    if (ALockCaption) FCaptionInactivationLocked = true;
    FBeingShownPopupWindow = APopup;
  }
  ~TPopupShowingScope() {
    FPopupWindowShowing = FPrevShowing;
    FCaptionInactivationLocked = FPrevCaption;
  }
  TPopupShowingScope(const TPopupShowingScope&) = delete;
  TPopupShowingScope& operator=(const TPopupShowingScope&) = delete;

 private:
  bool FPrevShowing;
  bool FPrevCaption;
};

void CallPopupEvent(const TNotifyEvent& AEvent, TObject* ASender) {
  if (AEvent) AEvent(ASender);
}

bool IsPointInOwnerRect(const TRect& R, const TPoint& P) {
  return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

// A click in the MDI frame of the popup owner's MDI child form, or in another MDI child of
// it. This platform has no MDI client window: the frame is the form with the MDI frame style
// and its children are the forms with the MDI child style.
bool IsPopupMDIFrameClick(TcxCustomPopupWindow* APopup, HWND AWnd) {
  TCustomForm* child = APopup->OwnerControl() ? GetParentForm(APopup->OwnerControl(), false) : nullptr;
  if (!child || child->FormStyle() != fsMDIChild || !Screen) return false;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* form = Screen->Forms(i);
    if ((form->FormStyle() == fsMDIForm || (form != child && form->FormStyle() == fsMDIChild)) &&
        (HasNativeHandle(form, AWnd, true)))
      return true;
  }
  return false;
}

// The container's focus-state update is its own; the closing hook needs to run it.
struct TcxContainerFocusAccess : TcxContainer {
  static void Run(TcxContainer* AContainer) { (AContainer->*(&TcxContainerFocusAccess::FocusChanged))(); }
};

}  // namespace

// --- unit-level functions --------------------------------------------------------------------------

bool cxTopMostComboBoxes() {
  return FTopMostComboBoxes;
}

void cxSetTopMostComboBoxes(bool Value) {
  FTopMostComboBoxes = Value;
}

bool IsRelatedWindow(HWND AParentWnd, HWND AChildWnd) {
  if (!AParentWnd || !AChildWnd || AParentWnd == AChildWnd) return false;
  HWND wnd = AChildWnd;
  for (int i = 0; i < kMaxPopupOwnerChain; ++i) {
    if (wnd == AParentWnd || IsChild(AParentWnd, wnd)) return true;
    TcxCustomPopupWindow* popup = PopupOfWindow(GetAncestor(wnd, GA_ROOT));
    if (!popup || !popup->OwnerControl() || !popup->OwnerControl()->HandleAllocated()) return false;
    wnd = popup->OwnerControl()->Handle();
  }
  return false;
}

bool IsRelatedWindow(TWinControl* AControl, HWND AWnd) {
  return AControl && AControl->HandleAllocated() && IsRelatedWindow(AControl->Handle(), AWnd);
}

bool HasNativeHandle(TWinControl* AControl, HWND AHandle, bool ACheckChildren) {
  if (!AControl || !AControl->HandleAllocated()) return false;
  return AHandle == AControl->Handle() || (ACheckChildren && IsRelatedWindow(AControl->Handle(), AHandle));
}

bool HasHandle(TWinControl* AControl, HWND AHandle) {
  return HasNativeHandle(AControl, AHandle, false);
}

bool CheckParentsNativeHandle(TWinControl* AControl, HWND AHandle) {
  TCustomForm* form = AControl ? GetParentForm(AControl, true) : nullptr;
  return form && HasNativeHandle(form, AHandle, true);
}

HWND FindFirstNonChildParentWindow(HWND AWnd) {
  HWND wnd = AWnd;
  while (wnd && (GetWindowLongW(wnd, GWL_STYLE) & WS_CHILD) != 0) wnd = GetParent(wnd);
  return wnd;
}

HWND GetPopupOwnerControl(HWND AWnd) {
  for (HWND wnd = AWnd; wnd; wnd = GetParent(wnd)) {
    if (TcxCustomPopupWindow* popup = PopupOfWindow(wnd)) {
      if (popup->OwnerControl() && popup->OwnerControl()->HandleAllocated())
        return popup->OwnerControl()->Handle();
      break;
    }
  }
  return AWnd;
}

void LockCMActivateMessages(bool ALock) {
  TdxMessagesController* controller = dxMessagesController();
  if (!controller) return;
  if (ALock)
    controller->LockMessages({CM_ACTIVATE, CM_DEACTIVATE});
  else
    controller->UnlockMessages({CM_ACTIVATE, CM_DEACTIVATE});
}

void CloseUnrelatedPopups(HWND AWnd) {
  cxPopupVisibleController()->CloseUnRelated(AWnd);
}

void CloseUnrelatedPopupsOnGesture(HWND AWnd) {
  CloseUnrelatedPopups(AWnd);
}

void CloseUnrelatedPopupsOnMouseClick(HWND AWnd, const TPoint& APoint, UINT AMsg, bool& AIgnore) {
  AIgnore = false;
  bool insideOwner = false;
  TcxPopupVisibleController* controller = cxPopupVisibleController();
  bool closed = true;
  while (closed) {
    closed = false;
    for (int i = 0; i < controller->Count(); ++i) {
      TcxCustomPopupWindow* popup = controller->Items(i);
      if (IsPopupInactiveCapturer(popup) || HasNativeHandle(popup, AWnd, true)) continue;
      TWinControl* owner = popup->OwnerControl();
      if (!owner) continue;
      auto* ownerPopup = dynamic_cast<TcxCustomPopupWindow*>(GetParentForm(owner, false));
      if (!CheckParentsNativeHandle(owner, AWnd) && !(ownerPopup && !ownerPopup->IsVisible())) {
        if (!IsPopupMDIFrameClick(popup, AWnd)) continue;
        if (popup->NeedIgnoreMouseMessageAfterCloseUp(AWnd, AMsg, KeyboardStateToShiftState(), APoint))
          AIgnore = true;
        popup->CloseUp();
        closed = true;
        break;
      }
      if (HasNativeHandle(owner, AWnd, true) && (AMsg == WM_LBUTTONDOWN || AMsg == WM_LBUTTONDBLCLK) &&
          owner->HandleAllocated() && IsPointInOwnerRect(cxGetWindowRect(owner->Handle()), APoint)) {
        insideOwner = true;
        if (popup->NeedIgnoreMouseMessageAfterCloseUp(AWnd, AMsg, KeyboardStateToShiftState(), APoint))
          popup->FJustClosed = true;
      } else if (!AIgnore) {
        AIgnore = popup->NeedIgnoreMouseMessageAfterCloseUp(AWnd, AMsg, KeyboardStateToShiftState(), APoint);
      }
      // A closing handler may free the owner or the popup itself.
      TcxObjectLink* popupLink = cxAddObjectLink(popup);
      {
        const bool prevCaption = FCaptionInactivationLocked;
        FCaptionInactivationLocked = true;
        popup->LockDeactivate(true);
        popup->CloseUp();
        if (popupLink->Ref) popup->LockDeactivate(false);
        FCaptionInactivationLocked = prevCaption;
      }
      const bool popupAlive = popupLink->Ref != nullptr;
      cxRemoveObjectLink(popupLink);
      // The click that closed the popup reaches the owner only while the owner stays.
      if (insideOwner) {
        TWinControl* ownerAfter = popupAlive ? popup->OwnerControl() : nullptr;
        const bool ownerGone = popupAlive ? ownerAfter == nullptr : !IsWindow(AWnd);
        if (ownerGone || (ownerAfter && (ownerAfter->ComponentState().Contains(csDestroying) ||
                                         !IsControlVisible(ownerAfter))))
          AIgnore = true;
      }
      closed = true;
      break;
    }
  }
}

// --- TcxPopupVisibleController ---------------------------------------------------------------------

TcxPopupVisibleController* cxPopupVisibleController() {
  if (!FPopupVisibleController) FPopupVisibleController = new TcxPopupVisibleController;
  return FPopupVisibleController;
}

void TcxPopupVisibleController::Register(TcxCustomPopupWindow* AItem) {
  if (!IsVisible(AItem)) FItems.push_back(AItem);
}

void TcxPopupVisibleController::UnRegister(TcxCustomPopupWindow* AItem) {
  std::erase(FItems, AItem);
}

bool TcxPopupVisibleController::IsVisible(const TcxCustomPopupWindow* AItem) const {
  return std::find(FItems.begin(), FItems.end(), AItem) != FItems.end();
}

void TcxPopupVisibleController::CloseUnRelated(HWND AWnd) {
  bool closed = true;
  while (closed) {
    closed = false;
    for (TcxCustomPopupWindow* popup : FItems) {
      if (IsPopupInactiveCapturer(popup) || HasNativeHandle(popup, AWnd, true)) continue;
      popup->CloseUp();
      closed = true;
      break;
    }
  }
}

void TcxPopupVisibleController::CloseRelated(HWND AWnd) {
  int first = -1;
  for (int i = 0; i < Count(); ++i) {
    TcxCustomPopupWindow* popup = FItems[static_cast<size_t>(i)];
    if (IsPopupUsable(popup) && popup->HandleAllocated() && IsRelatedWindow(AWnd, popup->Handle())) {
      first = i;
      break;
    }
  }
  if (first < 0) return;
  for (int i = Count() - 1; i >= first; --i)
    if (i < Count()) FItems[static_cast<size_t>(i)]->CloseUp();
}

// --- TcxCustomPopupWindow --------------------------------------------------------------------------

TcxCustomPopupWindow::TcxCustomPopupWindow(TWinControl* AOwnerControl, TcxContainerStyleClass AStyleClass)
    : FOwnerControl(AOwnerControl) {
  // An owner with its own scale factor decides the popup's density (InitPopup).
  SetScaled(dynamic_cast<IdxScaleFactor*>(AOwnerControl) == nullptr);
  SetFormStyle(fsNormal);
  SetVisible(false);
  SetKeyPreview(true);
  if (FOwnerControl) FOwnerControl->FreeNotification(this);
  FStyle.reset(AStyleClass(this, false, nullptr, csNormal));
  FStyle->OnChanged = TNotifyEvent(this, &TcxCustomPopupWindow::PopupWindowStyleChanged);
  FViewInfo = std::make_unique<TcxContainerViewInfo>();
  FViewInfo->Owner = this;
  FViewInfo->UpdateStyle(FStyle.get());
}

void TcxCustomPopupWindow::ReplaceViewInfo(TcxContainerViewInfo* AViewInfo) {
  FViewInfo.reset(AViewInfo);
  FViewInfo->Owner = this;
  FViewInfo->UpdateStyle(FStyle.get());
}

TcxCustomPopupWindow::~TcxCustomPopupWindow() {
  cxClearObjectLinks(this);
  if (FPopupVisibleController) FPopupVisibleController->UnRegister(this);
  if (FBeingShownPopupWindow == this) FBeingShownPopupWindow = nullptr;
  SetPrevActive(nullptr, nullptr);
  if (FOwnerControl) FOwnerControl->RemoveFreeNotification(this);
  FStyle->OnChanged = nullptr;
}

void TcxCustomPopupWindow::Notification(TComponent* AComponent, TOperation Operation) {
  TcxPopupWindow::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FPrevActiveForm) FPrevActiveForm = nullptr;
  if (AComponent == FPrevActiveControl) FPrevActiveControl = nullptr;
  if (AComponent == FFocusedControl) FFocusedControl = nullptr;
  if (AComponent == FOwnerControl) FOwnerControl = nullptr;
}

void TcxCustomPopupWindow::SetPrevActive(TCustomForm* AForm, TWinControl* AControl) {
  for (TComponent* c :
       {static_cast<TComponent*>(FPrevActiveForm), static_cast<TComponent*>(FPrevActiveControl)})
    if (c && c != FOwnerControl) c->RemoveFreeNotification(this);
  FPrevActiveForm = AForm;
  FPrevActiveControl = AControl;
  if (FPrevActiveForm) FPrevActiveForm->FreeNotification(this);
  if (FPrevActiveControl) FPrevActiveControl->FreeNotification(this);
}

bool TcxCustomPopupWindow::IsVisible() const {
  return FPopupVisibleController && FPopupVisibleController->IsVisible(this);
}

bool TcxCustomPopupWindow::HasCapture() {
  return HandleAllocated() && GetCapture() == Handle();
}

bool TcxCustomPopupWindow::Focused() {
  if (!IsVisible() || !FCaptureFocus || !HandleAllocated()) return false;
  const HWND focus = GetFocus();
  return focus == Handle() || IsRelatedWindow(Handle(), focus);
}

bool TcxCustomPopupWindow::GetJustClosed() {
  const bool result = FJustClosed;
  FJustClosed = false;
  return result;
}

void TcxCustomPopupWindow::InternalEnableWindow(bool AEnable) {
  if (HandleAllocated()) EnableWindow(Handle(), AEnable);
}

void TcxCustomPopupWindow::SetCaptureFocus(bool Value) {
  if (FCaptureFocus == Value) return;
  FCaptureFocus = Value;
  if (HandleAllocated()) RecreateWnd();
  if (IsVisible()) {
    CloseUp();
    Popup(FFocusedControl);
  }
}

void TcxCustomPopupWindow::SetIsTopMost(bool Value) {
  if (FIsTopMost == Value) return;
  FIsTopMost = Value;
  if (HandleAllocated()) RecreateWnd();
  if (IsVisible()) {
    CloseUp();
    Popup(FFocusedControl);
  }
}

bool TcxCustomPopupWindow::IsSysKeyAccepted(WORD AKey) {
  return (AKey >= VK_PRIOR && AKey <= VK_DOWN) || AKey == VK_F4;
}

bool TcxCustomPopupWindow::NeedIgnoreMouseMessageAfterCloseUp(HWND, UINT, TShiftState, const TPoint&) {
  return false;
}

void TcxCustomPopupWindow::DoBeforeClosing() {
  CallPopupEvent(OnBeforeClosing, this);
}
void TcxCustomPopupWindow::DoClosed() {
  CallPopupEvent(OnClosed, this);
}
void TcxCustomPopupWindow::DoClosing() {
  CallPopupEvent(OnClosing, this);
}
void TcxCustomPopupWindow::DoShowed() {
  CallPopupEvent(OnShowed, this);
}
void TcxCustomPopupWindow::DoShowing() {
  CallPopupEvent(OnShowing, this);
}

void TcxCustomPopupWindow::CorrectBoundsWithDesktopWorkArea(TPoint& APosition, TSize& ASize) {
  if (!AcceptsAnySize()) return;
  const TRect area = GetDesktopWorkArea(GetOwnerScreenBounds().TopLeft());
  if (APosition.X < area.Left) {
    ASize.cx -= area.Left - APosition.X;
    APosition.X = area.Left;
  }
  if (APosition.Y < area.Top) {
    ASize.cy -= area.Top - APosition.Y;
    APosition.Y = area.Top;
  }
  ASize.cx = std::max(0, std::min(ASize.cx, area.Right - APosition.X));
  ASize.cy = std::max(0, std::min(ASize.cy, area.Bottom - APosition.Y));
}

void TcxCustomPopupWindow::InitPopup() {
  TcxPopupWindow::InitPopup();
  SetPrevActive(dxGetScreenActiveForm(), Screen ? Screen->ActiveControl() : nullptr);
  UpdateScaleFactor();
}

void TcxCustomPopupWindow::SetPopupFocusedControl(TWinControl* Value) {
  if (FFocusedControl == Value) return;
  if (FFocusedControl && FFocusedControl != FOwnerControl) FFocusedControl->RemoveFreeNotification(this);
  FFocusedControl = Value;
  if (FFocusedControl) FFocusedControl->FreeNotification(this);
}

void TcxCustomPopupWindow::ReplaceViewInfo(std::unique_ptr<TcxContainerViewInfo> AViewInfo) {
  FViewInfo = std::move(AViewInfo);
  FViewInfo->Owner = this;
  FViewInfo->UpdateStyle(FStyle.get());
}

void TcxCustomPopupWindow::UpdateScaleFactor() {
  auto* source = dynamic_cast<IdxScaleFactor*>(FOwnerControl);
  if (!source || !source->GetScaleFactor()) return;
  const TdxScaleFactor* factor = source->GetScaleFactor();
  const int32_t ppi = MulDiv(96, factor->Numerator(), factor->Denominator());
  if (ppi == MulDiv(96, ScaleFactor()->Numerator(), ScaleFactor()->Denominator())) return;
  const TRect bounds = BoundsRect();
  ScaleForPPI(ppi);
  if (Adjustable()) SetBoundsRect(bounds);
}

bool TcxCustomPopupWindow::SetFocusedControl(TWinControl* Control) {
  if (!Control || Control->ComponentState().Contains(csDestroying)) return false;
  LockCMActivateMessages(true);
  bool result = false;
  try {
    result = TcxPopupWindow::SetFocusedControl(Control);
  } catch (...) {
    LockCMActivateMessages(false);
    throw;
  }
  LockCMActivateMessages(false);
  return result;
}

void TcxCustomPopupWindow::AdjustClientRect(TRect& Rect) {
  Rect = FViewInfo->ClientRect;
}

void TcxCustomPopupWindow::Paint() {
  FViewInfo->Paint(Canvas());
}

bool TcxCustomPopupWindow::IsShortCut(TMessage& Message) {
  if (TcxPopupWindow::IsShortCut(Message)) return true;
  TCustomForm* form = FOwnerControl ? GetParentForm(FOwnerControl) : nullptr;
  return form && form != this && form->IsShortCut(Message);
}

void TcxCustomPopupWindow::CreateParams(TCreateParams& Params) {
  TcxPopupWindow::CreateParams(Params);
  if (FCaptureFocus) {
    TCustomForm* form = FOwnerControl ? GetParentForm(FOwnerControl) : nullptr;
    if (form && form->HandleAllocated()) Params.WndParent = form->Handle();
    Params.Style = (Params.Style & ~WS_CHILD) | WS_POPUP;
    if (FIsTopMost && (!form || form->FormStyle() == fsStayOnTop)) Params.ExStyle |= WS_EX_TOPMOST;
  } else {
    // A child window of the desktop, owned by no form.
    Params.Style = WS_CHILD;
    Params.ExStyle |= WS_EX_TOOLWINDOW;
    Params.WndParent = GetDesktopWindow();
  }
  Params.Style |= WS_CLIPCHILDREN;
}

void TcxCustomPopupWindow::CreateHandle() {
  // Counted as shown while its window is made, so the hooks leave it alone.
  const bool registering = !IsVisible();
  if (registering) cxPopupVisibleController()->Register(this);
  try {
    TcxPopupWindow::CreateHandle();
  } catch (...) {
    if (registering) cxPopupVisibleController()->UnRegister(this);
    throw;
  }
  if (registering) cxPopupVisibleController()->UnRegister(this);
}

void TcxCustomPopupWindow::SetVisible(bool Value) {
  const bool wasVisible = Visible();
  TcxPopupWindow::SetVisible(Value);
  if (!wasVisible || Visible() || !FCaptureFocus || !FOwnerControl || !HandleAllocated()) return;
  // The focus goes back to the owner when it was left inside the owner's form.
  TCustomForm* form = GetParentForm(FOwnerControl);
  if (!form || !form->HandleAllocated() || form->ComponentState().Contains(csDesigning)) return;
  const HWND focus = GetFocus();
  if (focus && (focus == form->Handle() || IsChild(form->Handle(), focus)) && FOwnerControl->CanFocus())
    FOwnerControl->SetFocus();
}

bool TcxCustomPopupWindow::UseOwnerParentToGetScreenBounds() {
  return FOwnerControl && FOwnerControl->HandleAllocated() &&
         (GetWindowLongW(FOwnerControl->Handle(), GWL_STYLE) & WS_CHILD) != 0;
}

bool TcxCustomPopupWindow::IsTopMostPopupWindow() {
  TCustomForm* form = FOwnerControl ? GetParentForm(FOwnerControl, true) : nullptr;
  if (!form || form->FormStyle() == fsStayOnTop) return true;
  if (FCaptureFocus || !Screen) return false;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* f = Screen->Forms(i);
    if (f->FormStyle() == fsStayOnTop && !f->Visible()) return true;
  }
  return false;
}

TWinControl* TcxCustomPopupWindow::FirstTabStopControl() {
  return FindNextControl(nullptr, true, true, false);
}

void TcxCustomPopupWindow::Popup(TWinControl* AFocusedControl) {
  if (IsVisible()) return;
  if (!FOwnerControl || !FOwnerControl->HandleAllocated() || !IsWindowVisible(FOwnerControl->Handle()))
    return;
  if (FShowWithoutActivation && cxPopupVisibleController()->IsAnyVisible()) return;

  FIsPopup = true;
  InitPopup();
  TSize size{Width(), Height()};
  CalculateSize(size);
  TPoint position;
  CalculatePosition(size, position);
  CorrectBoundsWithDesktopWorkArea(position, size);
  {
    TPopupShowingScope scope(this, true);
    cxPopupVisibleController()->Register(this);
    DoShowing();
    SetBounds(position.X, position.Y, size.cx, size.cy);
    if (FShowWithoutActivation) {
      ShowWindow(Handle(), SW_SHOWNA);
      SetVisible(true);
    } else {
      Show();
    }
    SetBounds(position.X, position.Y, size.cx, size.cy);
  }
  if (!FShowWithoutActivation) {
    TWinControl* target = AFocusedControl;
    if (FCaptureFocus && !(target && target->CanFocus() && target->TabStop())) {
      target = FirstTabStopControl();
      if (!target) target = this;
    }
    if (FFocusedControl != target) {
      if (FFocusedControl && FFocusedControl != FOwnerControl) FFocusedControl->RemoveFreeNotification(this);
      FFocusedControl = target;
      if (FFocusedControl) FFocusedControl->FreeNotification(this);
    }
    if (target && target->CanFocus())
      target->SetFocus();
    else if (CanFocus())
      SetFocus();
  }
  const bool topMost = IsTopMostPopupWindow() || (!FCaptureFocus && FTopMostComboBoxes);
  SetWindowPos(Handle(), topMost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  SetModalResult(mrNone);
  DoShowed();

  if (!FCaptureFocus || !FModalMode) return;
  TcxObjectLink* link = cxAddObjectLink(this);
  while (link->Ref && Visible() && !Application->Terminated()) {
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message == WM_SYSKEYDOWN &&
        (msg.wParam == VK_RETURN || msg.wParam == VK_MENU || msg.wParam == VK_SPACE))
      PeekMessageW(&msg, msg.hwnd, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_REMOVE);
    if (ModalResult() != mrNone) {
      if (CloseQuery())
        ModalCloseUp();
      else
        SetModalResult(mrNone);
    }
    // A popup closed just now must not make the loop wait for one more message.
    if (!link->Ref || !Visible()) break;
    Application->HandleMessage();
  }
  cxRemoveObjectLink(link);
}

void TcxCustomPopupWindow::CloseUp() {
  try {
    DoBeforeClosing();
  } catch (const Exception&) {
    Application->HandleException(this);
  }
  FIsPopup = false;
  if (!IsVisible()) return;

  LockCMActivateMessages(true);
  cxPopupVisibleController()->UnRegister(this);
  DoClosing();
  {
    TPopupShowingScope scope(this, false);
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    Hide();
  }
  if (!FShowWithoutActivation && FPrevActiveForm && Screen &&
      Screen->ActiveControl() != FPrevActiveForm->ActiveControl()) {
    if (FPrevActiveControl && FPrevActiveControl->HandleAllocated())
      FPrevActiveForm->SetFocusedControl(FPrevActiveControl);
    else
      FPrevActiveForm->SetFocusedControl(FPrevActiveForm);
  }
  DoClosed();
  const HWND capture = GetCapture();
  if (capture && HandleAllocated() && (capture == Handle() || IsRelatedWindow(Handle(), capture)))
    ReleaseCapture();
  LockCMActivateMessages(false);

  if (cxPopupVisibleController()->IsAnyVisible()) return;
  TCustomForm* form = FOwnerControl ? GetParentForm(FOwnerControl, true) : nullptr;
  if (form && form->HandleAllocated() && form->FormStyle() != fsMDIForm && !form->Active())
    SendMessageW(form->Handle(), WM_NCACTIVATE, 0, 0);
}

void TcxCustomPopupWindow::ClosePopup() {
  PostMessageW(Handle(), CM_CLOSEPOPUPWINDOW, 0, 0);
}

void TcxCustomPopupWindow::Deactivate() {
  FDeactivation = false;
  TdxCustomForm::Deactivate();
  if (IsDeactivateLocked()) return;
  TcxPopupVisibleController* controller = cxPopupVisibleController();
  for (int i = controller->Count() - 1; i >= 0; --i) {
    if (i >= controller->Count()) continue;
    TcxCustomPopupWindow* popup = controller->Items(i);
    if (popup->HandleAllocated() && GetActiveWindow() == popup->Handle()) break;
    if (popup->HandleAllocated() && IsWindowEnabled(popup->Handle()) && !popup->IsDeactivateLocked())
      popup->CloseUp();
  }
  if (controller->IsAnyVisible()) CloseUp();
}

void TcxCustomPopupWindow::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE && IsVisible() && HasCapture()) {
    ReleaseCapture();
    Key = 0;
    return;
  }
  TcxPopupWindow::KeyDown(Key, Shift);
}

void TcxCustomPopupWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ACTIVATEAPP:
      return;
    case WM_ACTIVATE:
      if (FIsPopup || LOWORD(Message.WParam) == WA_INACTIVE) TcxPopupWindow::Dispatch(Message);
      return;
    case WM_ERASEBKGND:
      if (HasBackground()) break;
      Message.Result = 1;
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
      auto* control = reinterpret_cast<TControl*>(Message.LParam);
      if (!control) control = this;
      if (Message.Msg == CM_MOUSEENTER)
        MouseEnter(control);
      else
        MouseLeave(control);
      break;
    }
    case WM_WINDOWPOSCHANGING:
      if (!FIsPopup && Message.LParam) reinterpret_cast<WINDOWPOS*>(Message.LParam)->flags &= ~SWP_SHOWWINDOW;
      break;
    case CM_CLOSEPOPUPWINDOW: {
      TdxMessagesController* messages = dxMessagesController();
      if (messages) messages->LockMessages({CM_ENTER, CM_EXIT});
      LockDeactivate(true);
      CloseUp();
      LockDeactivate(false);
      if (messages) messages->UnlockMessages({CM_ENTER, CM_EXIT});
      if (FOwnerControl && FOwnerControl->HandleAllocated())
        SendMessageW(FOwnerControl->Handle(), WM_SETFOCUS, 0, 0);
      return;
    }
    case CM_SHOWPOPUPWINDOW:
      Popup(FFocusedControl);
      return;
    case CM_SHOWINGCHANGED:
      if (FShowWithoutActivation && Showing() && HandleAllocated()) {
        try {
          DoShow();
        } catch (const Exception&) {
          Application->HandleException(this);
        }
        ShowWindow(Handle(), SW_SHOWNOACTIVATE);
        return;
      }
      break;
    case CM_RECREATEWND:
      if (IsBeingDestroyed()) {
        Message.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TcxPopupWindow::Dispatch(Message);
}

// --- hooks -----------------------------------------------------------------------------------------

void cxContainerMouseHook(int ACode, WPARAM AWParam, LPARAM ALParam, LRESULT& AHookResult) {
  if (ACode != HC_ACTION || ALParam == 0) return;
  const UINT msg = static_cast<UINT>(AWParam);
  if (!IsMouseDownMessage(msg) || !cxPopupVisibleController()->IsAnyVisible()) return;
  const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(ALParam);
  bool ignore = false;
  CloseUnrelatedPopupsOnMouseClick(info->hwnd, info->pt, msg, ignore);
  if (ignore) AHookResult = 1;
}

void cxContainerGetMessageHook(int ACode, WPARAM AWParam, LPARAM ALParam, LRESULT&) {
  if (ACode != HC_ACTION || AWParam != PM_REMOVE || ALParam == 0) return;
  auto* msg = reinterpret_cast<MSG*>(ALParam);
  TcxPopupVisibleController* controller = cxPopupVisibleController();
  if (msg->message != WM_SYSKEYDOWN || !controller->IsAnyVisible()) return;
  TcxCustomPopupWindow* top = controller->Items(controller->Count() - 1);
  if (top->CaptureFocus() && top->ModalMode()) return;
  if (!top->IsSysKeyAccepted(static_cast<WORD>(msg->wParam))) msg->message = WM_NULL;
}

namespace {

void HandleActivateApp() {
  TcxPopupVisibleController* controller = cxPopupVisibleController();
  bool closed = true;
  while (closed) {
    closed = false;
    for (int i = 0; i < controller->Count(); ++i) {
      TcxCustomPopupWindow* popup = controller->Items(i);
      if (TCustomForm* form = popup->OwnerControl() ? GetParentForm(popup->OwnerControl(), true) : nullptr;
          form && form->HandleAllocated())
        PostMessageW(form->Handle(), WM_NCACTIVATE, 0, 0);
      if (popup->CaptureFocus() && popup->HandleAllocated() && GetActiveWindow() == popup->Handle()) continue;
      if (popup->HandleAllocated() && !IsWindowEnabled(popup->Handle())) continue;
      TWinControl* owner = popup->OwnerControl();
      popup->CloseUp();
      if (auto* container = dynamic_cast<TcxContainer*>(owner)) TcxContainerFocusAccess::Run(container);
      closed = true;
      break;
    }
  }
}

void HandleCloseMessage(HWND AWnd) {
  TcxPopupVisibleController* controller = cxPopupVisibleController();
  for (int i = 0; i < controller->Count(); ++i) {
    TcxCustomPopupWindow* popup = controller->Items(i);
    if (popup->IsBeingDestroyed()) continue;
    if (HasHandle(popup, AWnd)) {
      if (popup->CloseQuery()) popup->CloseUp();
      if (!popup->IsVisible() && popup->CaptureFocus() && !IsOwnerDestroying(popup) &&
          popup->OwnerControl()->HandleAllocated())
        SendMessageW(FindFirstNonChildParentWindow(popup->OwnerControl()->Handle()), WM_CLOSE, 0, 0);
      return;
    }
    if (popup->CaptureFocus() || IsOwnerDestroying(popup)) continue;
    TCustomForm* form = GetParentForm(popup->OwnerControl(), true);
    // A popup whose owner lies on no form closes with any window that closes.
    if (!form || !form->HandleAllocated() || form->Handle() == AWnd) popup->CloseUp();
    return;
  }
}

}  // namespace

void cxContainerWndProcHook(int ACode, WPARAM, LPARAM ALParam, LRESULT&) {
  if (ACode != HC_ACTION || ALParam == 0) return;
  auto* message = reinterpret_cast<CWPSTRUCT*>(ALParam);
  if (TdxMessagesController* messages = dxMessagesController())
    messages->BlockLockedMessage(message->hwnd, message->message);
  TcxPopupVisibleController* controller = cxPopupVisibleController();
  if (!controller->IsAnyVisible()) return;
  const HWND wnd = message->hwnd;
  switch (message->message) {
    case WM_ACTIVATEAPP:
      if (message->wParam == 0) HandleActivateApp();
      break;
    case WM_NCACTIVATE:
      if (message->wParam != 0) break;
      if (FCaptionInactivationLocked) {
        if (TdxMessagesController* messages = dxMessagesController()) messages->BlockMessage(wnd);
        break;
      }
      for (int i = 0; i < controller->Count(); ++i) {
        TcxCustomPopupWindow* popup = controller->Items(i);
        TCustomForm* form = popup->OwnerControl() ? GetParentForm(popup->OwnerControl(), true) : nullptr;
        if (form && form->HandleAllocated() && form->Handle() == wnd) {
          if (TdxMessagesController* messages = dxMessagesController()) messages->BlockMessage(wnd);
          break;
        }
      }
      break;
    case WM_SHOWWINDOW:
      if (message->wParam == 0) controller->CloseRelated(wnd);
      break;
    case WM_WINDOWPOSCHANGED: {
      // A window hidden through its position (as forms hide) hears no WM_SHOWWINDOW.
      if (const auto* pos = reinterpret_cast<const WINDOWPOS*>(message->lParam);
          pos && (pos->flags & SWP_HIDEWINDOW) != 0)
        controller->CloseRelated(wnd);
      bool closed = true;
      while (closed) {
        closed = false;
        for (int i = 0; i < controller->Count(); ++i) {
          TcxCustomPopupWindow* popup = controller->Items(i);
          TWinControl* owner = popup->OwnerControl();
          if (owner && HasHandle(owner, wnd) && !IsControlVisible(owner)) {
            popup->CloseUp();
            closed = true;
            break;
          }
        }
      }
      break;
    }
    case WM_CLOSE:
      HandleCloseMessage(wnd);
      break;
    case WM_DESTROY:
      for (int i = 0; i < controller->Count(); ++i) {
        TcxCustomPopupWindow* popup = controller->Items(i);
        if (!HasHandle(popup, wnd)) continue;
        popup->Close();
        if (!popup->IsVisible() && !popup->IsBeingDestroyed() && popup->TerminateOnDestroy())
          Application->Terminate();
        break;
      }
      break;
    case WM_GESTURE:
      CloseUnrelatedPopupsOnGesture(wnd);
      break;
    default:
      break;
  }
}

namespace cxContainerPopup {

void Initialize() {
  dxSetHook(htWndProc, &cxContainerWndProcHook);
  dxSetHook(htGetMessage, &cxContainerGetMessageHook);
  dxSetHook(htMouse, &cxContainerMouseHook);
}

void Finalize() {
  dxReleaseHook(&cxContainerMouseHook);
  dxReleaseHook(&cxContainerGetMessageHook);
  dxReleaseHook(&cxContainerWndProcHook);
  delete FPopupVisibleController;
  FPopupVisibleController = nullptr;
  FBeingShownPopupWindow = nullptr;
}

}  // namespace cxContainerPopup

}  // namespace qd
