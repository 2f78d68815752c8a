// Drag detection and mouse tracking.
#include <algorithm>
#include <vector>

#include "platform/forms/controls.h"
#include "platform/os/user.h"
#include "ui/controls/cxControlsWindowUtils.h"
#include "ui/core/cxGeometry.h"

namespace qd {

QD_IMPLEMENT_CLASS(TMouseTrackingTimer)

namespace {

std::vector<TMouseTrackingTimer*>* FMouseTrackingTimerList = nullptr;

std::vector<TMouseTrackingTimer*>* MouseTrackingTimerList() {
  if (!FMouseTrackingTimerList && !cxControlsWindowUtils::UnitIsFinalized())
    FMouseTrackingTimerList = new std::vector<TMouseTrackingTimer*>;
  return FMouseTrackingTimerList;
}

TMouseTrackingTimer* FindMouseTrackingTimer(IcxMouseTrackingCaller* ACaller) {
  if (!FMouseTrackingTimerList) return nullptr;
  for (TMouseTrackingTimer* timer : *FMouseTrackingTimerList)
    if (timer->Caller() == ACaller) return timer;
  return nullptr;
}

// Mouse positions in lParam are signed: left of or above the client area they are negative.
TPoint PointFromLParam(LPARAM ALParam) {
  return {static_cast<int16_t>(LOWORD(ALParam)), static_cast<int16_t>(HIWORD(ALParam))};
}

}  // namespace

// --- Drag detection ------------------------------------------------------------------------------

TcxDragDetect cxDragDetect(HWND AWnd, const TPoint& P) {
  const int32_t threshold = Mouse ? Mouse->DragThreshold() : 5;
  const TRect dragRect{P.X - threshold, P.Y - threshold, P.X + threshold, P.Y + threshold};
  cxSetCapture(AWnd);
  TcxDragDetect result = ddCancel;
  while (GetCapture() == AWnd) {
    MSG message;
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) break;
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    bool stop = false;
    switch (message.message) {
      case WM_KEYDOWN:
      case WM_KEYUP:
        if (message.wParam == VK_ESCAPE) {
          result = ddCancel;
          stop = true;
        }
        break;
      case WM_MOUSEMOVE:
        if (message.hwnd == AWnd &&
            !cxRectPtIn(dragRect, cxClientToScreen(AWnd, PointFromLParam(message.lParam)))) {
          result = ddDrag;
          stop = true;
        }
        break;
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
      case WM_MBUTTONUP:
        result = ddNone;
        stop = true;
        break;
      default:
        break;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
    if (stop) break;
  }
  if (GetCapture() == AWnd) ReleaseCapture();
  return result;
}

// --- Mouse tracking ------------------------------------------------------------------------------

TMouseTrackingTimer::TMouseTrackingTimer(TWinControl* AControl, const TRect& ABounds,
                                         IcxMouseTrackingCaller* ACaller)
    : TcxTimer(nullptr), FControl(AControl), FBounds(ABounds), FCaller(ACaller) {
  // The control may go while it is tracked: it tells the timer.
  if (FControl) FControl->FreeNotification(this);
  SetInterval(10);
  SetOnTimer(TNotifyEvent(this, &TMouseTrackingTimer::TimerHandler));
}

TMouseTrackingTimer::~TMouseTrackingTimer() {
  if (FControl) FControl->RemoveFreeNotification(this);
}

void TMouseTrackingTimer::Notification(TComponent* AComponent, TOperation Operation) {
  TcxTimer::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FControl) {
    FControl = nullptr;
    FControlGone = true;
  }
}

bool TMouseTrackingTimer::IsCursorInCaller(const TPoint& APos) {
  HWND handle = FControl && FControl->HandleAllocated() ? FControl->Handle() : nullptr;
  if (handle && GetCapture() != handle) {
    HWND wnd = cxWindowFromPoint(APos);
    if (wnd && wnd != handle && !IsChild(handle, wnd)) return false;  // another window lies over it
  }
  if (auto* caller2 = dynamic_cast<IcxMouseTrackingCaller2*>(FCaller)) {
    if (!FControl) return !FControlGone && caller2->PtInCaller(APos);
    TPoint p = APos;
    return handle && ScreenToClient(handle, &p) && caller2->PtInCaller(p);
  }
  return cxRectPtIn(FBounds, APos);
}

void TMouseTrackingTimer::TimerHandler(TObject*) {
  const TPoint pos = GetMouseCursorPos();
  bool goOn = IsCursorInCaller(pos);
  if (!goOn)
    if (auto* caller3 = dynamic_cast<IcxMouseTrackingCaller3*>(FCaller)) goOn = caller3->IsCaptureMouse();
  if (FControlGone || (FControl && (!FControl->HandleAllocated() || !IsWindowEnabledEx(FControl->Handle()))))
    goOn = false;
  if (!goOn) EndTracking(pos);
}

void TMouseTrackingTimer::EndTracking(const TPoint& APos) {
  SetEnabled(false);
  // The control's mouse-leave handling may end the tracking itself, which frees this timer:
  // nothing of it is touched after the message.
  IcxMouseTrackingCaller* caller = FCaller;
  auto* control = FControl;
  if (control && control->HandleAllocated()) {
    HWND handle = control->Handle();
    TPoint p = APos;
    ScreenToClient(handle, &p);
    const TRect client = cxGetClientRect(handle);
    if (!cxRectPtIn(client, p) || !IsWindowEnabledEx(handle))
      SendMessageW(handle, CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(static_cast<TControl*>(control)));
  }
  caller->MouseLeave();
  // Frees this timer (nothing of it is touched after its tick handler returns).
  EndMouseTracking(caller);
}

void BeginMouseTracking(TWinControl* AControl, const TRect& ABounds, IcxMouseTrackingCaller* ACaller) {
  if (!ACaller || IsMouseTracking(ACaller)) return;
  std::vector<TMouseTrackingTimer*>* list = MouseTrackingTimerList();
  if (!list) return;
  TRect bounds = ABounds;
  if (AControl && AControl->HandleAllocated())
    bounds = dxMapWindowRect(AControl->Handle(), nullptr, ABounds, true);
  list->push_back(new TMouseTrackingTimer(AControl, bounds, ACaller));
}

void EndMouseTracking(IcxMouseTrackingCaller* ACaller) {
  TMouseTrackingTimer* timer = FindMouseTrackingTimer(ACaller);
  if (!timer) return;
  std::erase(*FMouseTrackingTimerList, timer);
  delete timer;
}

bool IsMouseTracking(IcxMouseTrackingCaller* ACaller) {
  return FindMouseTrackingTimer(ACaller) != nullptr;
}

namespace cxControlsWindowUtilsDetail {

bool EndAllMouseTracking() {
  if (!FMouseTrackingTimerList) return false;
  const bool any = !FMouseTrackingTimerList->empty();
  for (TMouseTrackingTimer* timer : *FMouseTrackingTimerList) delete timer;
  delete FMouseTrackingTimerList;
  FMouseTrackingTimerList = nullptr;
  return any;
}

}  // namespace cxControlsWindowUtilsDetail

}  // namespace qd
