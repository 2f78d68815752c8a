// The popup window base, the activation-order helper and control child components.
#include "ui/controls/cxControlsPopup.h"

#include <algorithm>

#include "platform/os/user.h"
#include "ui/controls/cxControlsRightToLeft.h"
#include "ui/controls/cxControlsWindowUtils.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxPopupWindow)
QD_IMPLEMENT_CLASS(TdxApplicationActivateWindowHelper)
QD_IMPLEMENT_CLASS(TcxControlChildComponent)

namespace {
TdxApplicationActivateWindowHelper* FActivateWindowHelper = nullptr;
}  // namespace

// --- TcxPopupWindow --------------------------------------------------------------------------------

TcxPopupWindow::TcxPopupWindow() : TdxCustomForm(nullptr, 0) {
  TCustomForm::SetBorderStyle(bsNone);
  SetDefaultMonitor(dmDesktop);
  // Placed by Popup, never by the window manager.
  SetPosition(poDesigned);
  SetFormStyle(fsStayOnTop);
  FCanvas = std::make_unique<TcxCanvas>(TCustomForm::Canvas());
  TControlStyle style = ControlStyle();
  style.Include(csOverrideStylePaint);
  SetControlStyle(style);
}

TcxPopupWindow::~TcxPopupWindow() {
  if (FOwnerParent) FOwnerParent->RemoveFreeNotification(this);
}

void TcxPopupWindow::Notification(TComponent* AComponent, TOperation Operation) {
  TdxCustomForm::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FOwnerParent) FOwnerParent = nullptr;
}

void TcxPopupWindow::SetOwnerParent(TControl* Value) {
  if (FOwnerParent == Value) return;
  if (FOwnerParent) FOwnerParent->RemoveFreeNotification(this);
  FOwnerParent = Value;
  if (FOwnerParent) FOwnerParent->FreeNotification(this);
}

void TcxPopupWindow::SetAdjustable(bool Value) {
  if (FAdjustable == Value) return;
  FAdjustable = Value;
  AdjustableChanged();
}

void TcxPopupWindow::RestoreControlsBounds() {
  if (!FAdjustable || !FControlsOffset) return;
  const int32_t dx = GetBorderWidth(bLeft), dy = GetBorderWidth(bTop);
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    c->SetBounds(c->Left() - dx, c->Top() - dy, c->Width(), c->Height());
  }
  FControlsOffset = false;
}

void TcxPopupWindow::SetBorderSpace(int32_t Value) {
  RestoreControlsBounds();
  if (FBorderSpace == Value) return;
  FBorderSpace = Value;
  BordersChanged();
}

void TcxPopupWindow::SetBorderStyle(TcxPopupBorderStyle Value) {
  RestoreControlsBounds();
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  BordersChanged();
}

int32_t TcxPopupWindow::GetFrameWidth() {
  switch (FBorderStyle) {
    case pbsUltraFlat:
    case pbsFlat:
      return 1;
    case pbs3D:
      return 2;
    default:
      return 0;
  }
}

TRect TcxPopupWindow::GetClientBounds() {
  TRect r = ClientRect();
  r.Left += GetBorderWidth(bLeft);
  r.Top += GetBorderWidth(bTop);
  r.Right -= GetBorderWidth(bRight);
  r.Bottom -= GetBorderWidth(bBottom);
  return r;
}

TRect TcxPopupWindow::GetOwnerScreenBounds() {
  TRect r = FOwnerBounds;
  // Without an owner parent the bounds are taken as screen coordinates.
  if (!UseOwnerParentToGetScreenBounds() || !FOwnerParent) return r;
  if (auto* win = dynamic_cast<TWinControl*>(FOwnerParent);
      FIsOwnerBoundsRTLDependent && win && win->HandleAllocated() &&
      (GetWindowLongW(win->Handle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL))
    r = TdxRightToLeftLayoutConverter::ConvertRect(r, win->ClientRect());
  const TPoint topLeft = FOwnerParent->ClientToScreen(r.TopLeft());
  return TRect{topLeft.X, topLeft.Y, topLeft.X + r.Width(), topLeft.Y + r.Height()};
}

void TcxPopupWindow::InitPopup() {
  if (FOwnerParent) Font()->Assign(FOwnerParent->Font());
}

void TcxPopupWindow::CalculateSize(TSize& ASize) {
  if (!FAdjustable) {
    ASize = TSize{Width(), Height()};
    return;
  }
  // The children are measured where they stand without the border offset of an earlier popup.
  RestoreControlsBounds();
  int32_t maxRight = 0, maxBottom = 0;
  const int32_t dx = GetBorderWidth(bLeft), dy = GetBorderWidth(bTop);
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    maxRight = std::max(maxRight, c->Left() + c->Width());
    maxBottom = std::max(maxBottom, c->Top() + c->Height());
    c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
  }
  FControlsOffset = true;
  if (maxRight != 0 || ControlCount() > 0) {
    ASize.cx = dx + maxRight + GetBorderWidth(bRight);
    ASize.cy = dy + maxBottom + GetBorderWidth(bBottom);
  } else {
    ASize = TSize{Width(), Height()};
  }
}

void TcxPopupWindow::CalculateCommonPosition(const TSize& ASize, TPoint& APosition, TPoint& AAnchor,
                                             const TRect& R) {
  if (FAlignHorz == pahCenter) APosition.X = AAnchor.X = (R.Left + R.Right - ASize.cx) / 2;
  if (FAlignVert == pavCenter) APosition.Y = AAnchor.Y = (R.Top + R.Bottom - ASize.cy) / 2;
}

void TcxPopupWindow::InternalCalculateVerticalDirectionPosition(const TSize& ASize, TPoint& P, TPoint& A,
                                                                const TRect& R) {
  if (FAlignHorz == pahLeft) {
    P.X = R.Left;
    A.X = R.Left;
  } else if (FAlignHorz == pahRight) {
    P.X = R.Right - ASize.cx;
    A.X = R.Right - 1;
  }
  if (FAlignVert == pavTop) {
    P.Y = R.Top - ASize.cy;
    A.Y = R.Top;
  } else if (FAlignVert == pavBottom) {
    P.Y = R.Bottom;
    A.Y = R.Bottom - 1;
  }
}

void TcxPopupWindow::InternalCalculateHorizontalDirectionPosition(const TSize& ASize, TPoint& P, TPoint& A,
                                                                  const TRect& R) {
  if (FAlignHorz == pahLeft) {
    P.X = R.Left - ASize.cx;
    A.X = R.Left;
  } else if (FAlignHorz == pahRight) {
    P.X = R.Right;
    A.X = R.Right - 1;
  }
  if (FAlignVert == pavTop) {
    P.Y = R.Top;
    A.Y = R.Top;
  } else if (FAlignVert == pavBottom) {
    P.Y = R.Bottom - ASize.cy;
    A.Y = R.Bottom - 1;
  }
}

void TcxPopupWindow::InternalCalculateTargetPosition(const TSize& ASize, TPoint& APosition, TPoint& AAnchor,
                                                     const TRect& R) {
  CalculateCommonPosition(ASize, APosition, AAnchor, R);
  if (FDirection == pdVertical)
    InternalCalculateVerticalDirectionPosition(ASize, APosition, AAnchor, R);
  else
    InternalCalculateHorizontalDirectionPosition(ASize, APosition, AAnchor, R);
}

void TcxPopupWindow::CheckPosition(const TSize& ASize, TPoint& P, TPoint& A, const TRect& R) {
  if (FAcceptAnyPosition) return;
  const TRect W = GetDesktopWorkArea(A);
  bool flipped = false;
  if (FDirection == pdVertical) {
    const bool moreRoomAbove = W.Bottom - R.Bottom < R.Top - W.Top;
    if (FAlignVert == pavBottom && W.Bottom < P.Y + ASize.cy && moreRoomAbove) {
      FAlignVert = pavTop;
      flipped = true;
    } else if (FAlignVert == pavTop && P.Y < W.Top && !moreRoomAbove) {
      FAlignVert = pavBottom;
      flipped = true;
    }
  } else {
    const bool moreRoomLeft = W.Right - R.Right < R.Left - W.Left;
    if (FAlignHorz == pahRight && W.Right < P.X + ASize.cx && moreRoomLeft) {
      FAlignHorz = pahLeft;
      flipped = true;
    } else if (FAlignHorz == pahLeft && P.X < W.Left && !moreRoomLeft) {
      FAlignHorz = pahRight;
      flipped = true;
    }
  }
  if (!flipped) return;
  if (FDirection == pdVertical)
    InternalCalculateVerticalDirectionPosition(ASize, P, A, R);
  else
    InternalCalculateHorizontalDirectionPosition(ASize, P, A, R);
}

void TcxPopupWindow::CorrectPositionWithDesktopWorkArea(const TSize& ASize, TPoint& P, const TPoint& A) {
  const TRect W = GetDesktopWorkArea(A);
  if (FDirection == pdVertical || FAlignHorz == pahCenter) {
    if (P.X + ASize.cx > W.Right) P.X = W.Right - ASize.cx;
    if (P.X < W.Left) P.X = W.Left;
  }
  if (FDirection == pdHorizontal || FAlignVert == pavCenter) {
    if (P.Y + ASize.cy > W.Bottom) P.Y = W.Bottom - ASize.cy;
    if (P.Y < W.Top) P.Y = W.Top;
  }
}

void TcxPopupWindow::CalculatePosition(const TSize& ASize, TPoint& APosition) {
  const TRect R = GetOwnerScreenBounds();
  TPoint anchor = R.TopLeft();
  InternalCalculateTargetPosition(ASize, APosition, anchor, R);
  CheckPosition(ASize, APosition, anchor, R);
  CorrectPositionWithDesktopWorkArea(ASize, APosition, anchor);
}

void TcxPopupWindow::Popup() {
  InitPopup();
  TSize size{Width(), Height()};
  CalculateSize(size);
  TPoint position;
  CalculatePosition(size, position);
  SetBounds(position.X, position.Y, size.cx, size.cy);
  Show();
}

void TcxPopupWindow::CloseUp() {
  Hide();
}

void TcxPopupWindow::Deactivate() {
  TdxCustomForm::Deactivate();
  CloseUp();
}

void TcxPopupWindow::Paint() {
  TdxCustomForm::Paint();
  DrawFrame();
}

void TcxPopupWindow::DrawFrame() {
  const TRect r{0, 0, Width(), Height()};
  switch (FBorderStyle) {
    case pbsUltraFlat:
      FCanvas->FrameRect(r, FFrameColor);
      break;
    case pbsFlat:
      FCanvas->DrawEdge(r, false, false);
      break;
    case pbs3D:
      FCanvas->DrawEdge(r, false, true);
      FCanvas->DrawEdge(TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, false, false);
      break;
    default:
      break;
  }
}

void TcxPopupWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ACTIVATE:
      if (LOWORD(Message.WParam) != WA_INACTIVE) {
        FPrevActiveWindow = reinterpret_cast<HWND>(Message.LParam);
        if (FPrevActiveWindow) SendMessageW(FPrevActiveWindow, WM_NCACTIVATE, TRUE, 0);
      }
      TdxCustomForm::Dispatch(Message);
      return;
    case WM_ACTIVATEAPP:
      TdxCustomForm::Dispatch(Message);
      if (!Message.WParam) {
        if (FPrevActiveWindow && IsWindow(FPrevActiveWindow))
          SendMessageW(FPrevActiveWindow, WM_NCACTIVATE, FALSE, 0);
        CloseUp();
      }
      return;
    case CM_VISIBLECHANGED:
      TdxCustomForm::Dispatch(Message);
      VisibleChanged();
      return;
    default:
      TdxCustomForm::Dispatch(Message);
  }
}

// --- TdxApplicationActivateWindowHelper -----------------------------------------------------------

TdxApplicationActivateWindowHelper::TdxApplicationActivateWindowHelper()
    : FFreeNotificator(std::make_unique<TcxFreeNotificator>(nullptr)) {
  FFreeNotificator->SetOnFreeNotification(
      TcxFreeNotificationEvent(this, &TdxApplicationActivateWindowHelper::FreeNotificationHandler));
}

TdxApplicationActivateWindowHelper::~TdxApplicationActivateWindowHelper() {
  for (TComponent* form : FWindowComponents) FFreeNotificator->RemoveSender(form);
}

void TdxApplicationActivateWindowHelper::AddWindow(TCustomForm* AForm) {
  FWindowsList.push_back(AForm);
  FWindowComponents.push_back(AForm);
  FFreeNotificator->AddSender(AForm);
}

void TdxApplicationActivateWindowHelper::RemoveWindow(TCustomForm* AForm) {
  auto it = std::find(FWindowsList.begin(), FWindowsList.end(), AForm);
  if (it == FWindowsList.end()) return;
  FWindowComponents.erase(FWindowComponents.begin() + (it - FWindowsList.begin()));
  FWindowsList.erase(it);
  if (std::find(FWindowsList.begin(), FWindowsList.end(), AForm) == FWindowsList.end())
    FFreeNotificator->RemoveSender(AForm);
}

void TdxApplicationActivateWindowHelper::FreeNotificationHandler(TComponent* Sender) {
  // The form is being destroyed: it is recognised by the pointer it was registered with.
  for (size_t i = FWindowComponents.size(); i-- > 0;)
    if (FWindowComponents[i] == Sender) {
      FWindowComponents.erase(FWindowComponents.begin() + static_cast<std::ptrdiff_t>(i));
      FWindowsList.erase(FWindowsList.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

bool TdxApplicationActivateWindowHelper::IsFormShowedBeforeLastModalWindow(TCustomForm* AForm) {
  for (auto it = FWindowsList.rbegin(); it != FWindowsList.rend(); ++it) {
    if (*it == AForm) return false;
    if ((*it)->FormState().Contains(fsModal)) break;
  }
  return true;
}

bool TdxApplicationActivateWindowHelper::NeedNormalize(TCustomForm* AForm) {
  return Application && Application->ModalLevel() > 0 && Screen && Screen->FocusedForm() != AForm &&
         IsFormShowedBeforeLastModalWindow(AForm);
}

void TdxApplicationActivateWindowHelper::NormalizeTopMostWindows(TCustomForm* AForm) {
  if (!NeedNormalize(AForm)) return;
  NormalizeRegisteredWindows();
  NormalizeFocusedWindow();
}

void TdxApplicationActivateWindowHelper::NormalizeRegisteredWindows() {
  const std::vector<TCustomForm*> forms = FWindowsList;
  for (auto it = forms.rbegin(); it != forms.rend(); ++it)
    if ((*it)->HandleAllocated())
      SetWindowPos((*it)->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

void TdxApplicationActivateWindowHelper::NormalizeFocusedWindow() {
  TCustomForm* focused = Screen ? Screen->FocusedForm() : nullptr;
  if (focused && focused->HandleAllocated())
    SetWindowPos(focused->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

TdxApplicationActivateWindowHelper* dxApplicationActivateWindowHelper() {
  return FActivateWindowHelper;
}

// --- TcxControlChildComponent ----------------------------------------------------------------------

TcxControlChildComponent::TcxControlChildComponent(TComponent* AOwner)
    : TcxComponent(AOwner), FScaleFactor(std::make_unique<TdxOwnedScaleFactor>()) {
  FScaleFactor->ListenerAdd(
      TdxScaleFactorNotifyEvent(this, &TcxControlChildComponent::ScaleFactorChangeHandler));
  Initialize();
}

TcxControlChildComponent::TcxControlChildComponent(TcxControl* AControl, bool AAssignOwner)
    : TcxControlChildComponent(AAssignOwner ? AControl->Owner() : nullptr) {
  SetControl(AControl);
}

TcxControlChildComponent::~TcxControlChildComponent() {
  if (FControl) FControl->RemoveChildComponent(this);
  FScaleFactor->ListenerRemove(
      TdxScaleFactorNotifyEvent(this, &TcxControlChildComponent::ScaleFactorChangeHandler));
}

void TcxControlChildComponent::SetControl(TcxControl* Value) {
  FControl = Value;
  FScaleFactor->SetOwner(Value ? Value->ScaleFactor() : nullptr);
}

void TcxControlChildComponent::SetParentComponent(TComponent* Value) {
  TcxComponent::SetParentComponent(Value);
  if (auto* control = dynamic_cast<TcxControl*>(Value)) control->AddChildComponent(this);
}

void TcxControlChildComponent::ScaleFactorChangeHandler(TObject*, int32_t M, int32_t D, bool IsLoading) {
  if (!IsLoading) ScaleFactorChanged(M, D);
}

void TcxControl::AddChildComponent(TcxControlChildComponent* AComponent) {
  AComponent->SetControl(this);
}

void TcxControl::RemoveChildComponent(TcxControlChildComponent* AComponent) {
  AComponent->SetControl(nullptr);
}

// --- Unit ------------------------------------------------------------------------------------------

namespace cxControlsPopup {

void Initialize() {
  if (!FActivateWindowHelper) FActivateWindowHelper = new TdxApplicationActivateWindowHelper();
}

void Finalize() {
  delete FActivateWindowHelper;
  FActivateWindowHelper = nullptr;
}

}  // namespace cxControlsPopup

}  // namespace qd
