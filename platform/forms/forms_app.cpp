// TApplication: the message loop, form creation, exceptions, hints, and the link to threads'
// synchronisation.
#include <algorithm>
#include <cstdio>

#include "platform/base/resources.h"
#include "platform/base/strings.h"
#include "platform/classes/sysutils_files.h"
#include "platform/classes/threads.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/forms.h"

namespace qd {

QD_IMPLEMENT_CLASS(TApplication)

TApplication* Application = nullptr;

namespace forms_detail {
extern thread_local const std::function<void(TObject*)>* PendingFormAssign;
}  // namespace forms_detail

namespace {

constexpr UINT_PTR kHintTimerId = 1;
enum { htkShowTimer = 1, htkHideTimer = 2 };

String& ExeNameOverride() {
  static String s;
  return s;
}

void AppHintMouseMessage(TControl* Control, TMessage& Message) {
  if (Application) Application->HintMouseMessage(Control, Message);
}

void AppControlDestroyed(TControl* Control) {
  if (Application) Application->ControlDestroyed(Control);
}

void AppHandleException(TObject* Sender) {
  if (Application)
    Application->HandleException(Sender);
  else
    throw;
}

TControl* GetHintControl(TControl* Control) {
  while (Control && !Control->ShowHint()) Control = Control->Parent();
  if (Control && Control->ComponentState().Contains(csDesigning)) return nullptr;
  return Control;
}

}  // namespace

TApplication::TApplication(TComponent* AOwner)
    : TComponent(AOwner), hintWindowClass_(THintWindow::StaticClass()) {
  handle_ = AllocateHWnd(TWndMethod(this, &TApplication::WndProc));
  title_ = ChangeFileExt(ExtractFileName(ExeName()), u"");
  if (handle_) SetWindowTextW(handle_, title_.c_str());
  icon_ = std::make_unique<TIcon>();
  if (EmbeddedResourceExists("ICON", "MAINICON")) {
    try {
      icon_->LoadFromResourceName(u"MAINICON");
    } catch (const Exception&) {
      // A damaged icon leaves the application without one.
    }
  }
  forms_detail::HintMouseMessage = &AppHintMouseMessage;
  forms_detail::ControlDestroyed = &AppControlDestroyed;
  forms_detail::HandleException = &AppHandleException;
  SetWakeMainThread(TThreadNotifyEvent(this, &TApplication::WakeMainThread));
}

TApplication::~TApplication() {
  if (::qd::WakeMainThread() == TThreadNotifyEvent(this, &TApplication::WakeMainThread))
    SetWakeMainThread(nullptr);
  StopHintTimer();
  // Forms go first, while the application is still whole, each with its OnDestroy.
  Destroying();
  for (int i = ComponentCount() - 1; i >= 0; i = std::min(i - 1, ComponentCount() - 1)) {
    if (auto* f = dynamic_cast<TCustomForm*>(Components(i))) f->Free();
  }
  DestroyComponents();
  hintWindow_ = nullptr;
  forms_detail::HintMouseMessage = nullptr;
  forms_detail::ControlDestroyed = nullptr;
  forms_detail::HandleException = nullptr;
  DeallocateHWnd(handle_);
  handle_ = nullptr;
}

void TApplication::Initialize() {}

String TApplication::Title() const {
  return title_;
}

void TApplication::SetTitle(const String& Value) {
  title_ = Value;
  if (handle_) SetWindowTextW(handle_, Value.c_str());
}

String TApplication::ExeName() const {
  if (!ExeNameOverride().empty()) return ExeNameOverride();
  String p = ParamStr(0);
  return p.empty() ? GetExecutablePath() : p;
}

void TApplication::SetExeNameForTesting(const String& Path) {
  ExeNameOverride() = Path;
}

// ---- Forms ----------------------------------------------------------------------------------------

void TApplication::CreateFormImpl(TClass InstanceClass, const std::function<void(TObject*)>& Assign) {
  if (!InstanceClass || !InstanceClass->InheritsFrom(TComponent::StaticClass()))
    throw EInvalidOperation(u"CreateForm needs a component class");
  forms_detail::PendingFormAssign = &Assign;
  TObject* o = nullptr;
  try {
    o = InstanceClass->Create(this);
  } catch (...) {
    forms_detail::PendingFormAssign = nullptr;
    Assign(nullptr);
    throw;
  }
  if (forms_detail::PendingFormAssign) {
    // Not a form: nothing took the reference during construction.
    forms_detail::PendingFormAssign = nullptr;
    Assign(o);
  }
  if (!mainForm_) {
    if (auto* f = dynamic_cast<TForm*>(o)) {
      f->HandleNeeded();
      mainForm_ = f;
    }
  }
}

void TApplication::ControlDestroyed(TControl* Control) {
  if (Screen) Screen->ControlRemoved(Control);
  if (mouseControl_ == Control) mouseControl_ = nullptr;
  if (hintControl_ == Control) {
    hintControl_ = nullptr;
    hintActive_ = false;
    StopHintTimer();
  }
  if (static_cast<TControl*>(hintWindow_) == Control) hintWindow_ = nullptr;
  if (static_cast<TControl*>(mainForm_) == Control) mainForm_ = nullptr;
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && static_cast<TComponent*>(mainForm_) == AComponent) mainForm_ = nullptr;
}

// ---- The message loop -----------------------------------------------------------------------------

void TApplication::Run() {
  running_ = true;
  try {
    if (mainForm_) {
      if (showMainForm_) {
        if (mainForm_->WindowState() == wsMinimized) mainForm_->SetWindowState(wsMinimized);
        mainForm_->SetVisible(true);
      }
      do {
        try {
          HandleMessage();
        } catch (const os::EWouldBlockForever&) {
          throw;
        } catch (...) {
          HandleException(this);
        }
      } while (!terminated_);
    }
  } catch (...) {
    running_ = false;
    throw;
  }
  running_ = false;
}

void TApplication::Terminate() {
  // The loop ends when it meets the quit message, not now.
  PostQuitMessage(0);
}

bool TApplication::IsHintMsg(MSG& Msg) {
  if (hintWindow_ && hintWindow_->IsHintMsg(Msg)) CancelHint();
  return false;
}

bool TApplication::IsKeyMsg(MSG& Msg) {
  if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST) return false;
  HWND wnd = GetCapture();
  if (!wnd) {
    wnd = Msg.hwnd;
    // The nearest control: other windows know nothing of the CN_ messages.
    while (wnd && !FindControl(wnd)) wnd = GetParent(wnd);
    if (!wnd) wnd = Msg.hwnd;
    return wnd && SendMessageW(wnd, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
  }
  // A utility window holding the capture (a drag under way) hears the keys too.
  if (FindControl(wnd) || IsAllocatedHWnd(wnd))
    return SendMessageW(wnd, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
  return false;
}

bool TApplication::ProcessMessage(MSG& Msg) {
  if (!PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (Msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  bool handled = false;
  if (OnMessage) OnMessage(Msg, handled);
  if (!IsHintMsg(Msg) && !handled && !IsKeyMsg(Msg)) {
    TranslateMessage(&Msg);
    DispatchMessageW(&Msg);
  }
  if (Msg.message == WM_MOUSEMOVE || Msg.message == WM_NCMOUSEMOVE || Msg.message == WM_MOUSELEAVE)
    DoMouseIdle();
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) Idle(msg);
}

void TApplication::DoMouseIdle() {
  POINT p;
  GetCursorPos(&p);
  TControl* target = FindDragTarget(p, true);
  if (target && target->ComponentState().Contains(csDesigning)) target = nullptr;
  TControl* capture = GetCaptureControl();
  if (mouseControl_ == target) return;
  auto notify = [&](UINT msg) {
    if ((mouseControl_ && !capture) || (capture && mouseControl_ == capture))
      mouseControl_->Perform(msg, 0, 0);
  };
  if (mouseControl_) notify(CM_MOUSELEAVE);
  mouseControl_ = target;
  if (mouseControl_) notify(CM_MOUSEENTER);
}

void TApplication::Idle(const MSG&) {
  DoMouseIdle();
  if (showHint_ && !mouseControl_) CancelHint();
  bool done = true;
  try {
    if (OnIdle) OnIdle(this, done);
  } catch (const os::EWouldBlockForever&) {
    throw;
  } catch (...) {
    HandleException(this);
  }
  if (IsMainThread() && CheckSynchronize()) done = false;
  if (done) WaitMessage();
}

void TApplication::WakeMainThread(TObject*) {
  if (handle_) PostMessageW(handle_, WM_NULL, 0, 0);
}

void TApplication::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NULL:
      if (IsMainThread()) CheckSynchronize();
      return;
    case WM_TIMER:
      if (Message.WParam == kHintTimerId) {
        HintTimerExpired();
        return;
      }
      break;
    case WM_ACTIVATEAPP:
      active_ = Message.WParam != 0;
      if (active_) {
        if (OnActivate) OnActivate(this);
      } else {
        CancelHint();
        if (OnDeactivate) OnDeactivate(this);
      }
      break;
    case WM_CLOSE:
      if (mainForm_) mainForm_->Close();
      return;
    case WM_QUERYENDSESSION:
      Message.Result = 1;
      return;
    default:
      break;
  }
  Message.Result = DefWindowProcW(handle_, Message.Msg, Message.WParam, Message.LParam);
}

// ---- Exceptions and message boxes ---------------------------------------------------------------

void TApplication::HandleException(TObject* Sender) {
  if (HWND cap = GetCapture()) SendMessageW(cap, WM_CANCELMODE, 0, 0);
  std::exception_ptr ep = std::current_exception();
  if (!ep) return;
  auto report = [&](const Exception& e) {
    if (OnException)
      OnException(Sender, e);
    else
      ShowException(e);
  };
  try {
    std::rethrow_exception(ep);
  } catch (const EAbort&) {
  } catch (const os::EWouldBlockForever&) {
    throw;
  } catch (const Exception& e) {
    report(e);
  } catch (const std::exception& e) {
    report(Exception(Utf8ToString(e.what())));
  } catch (...) {
    report(Exception(u"Unknown exception"));
  }
}

void TApplication::ShowException(const Exception& E) {
  String msg = E.Message();
  if (!msg.empty() && msg.back() > u'.') msg += u'.';
  MessageBox(msg, Title(), MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const String& Text, const String& Caption, UINT Flags) {
  HWND owner = nullptr;
  if (Screen && Screen->ActiveForm() && Screen->ActiveForm()->HandleAllocated())
    owner = Screen->ActiveForm()->Handle();
  else if (mainForm_ && mainForm_->HandleAllocated())
    owner = mainForm_->Handle();
  return MessageBoxW(owner, Text.c_str(), Caption.c_str(), Flags);
}

void TApplication::ModalStarted() {
  if (++modalLevel_ == 1 && OnModalBegin) OnModalBegin(this);
}

void TApplication::ModalFinished() {
  if (--modalLevel_ == 0 && OnModalEnd) OnModalEnd(this);
}

void TApplication::BringToFront() {
  if (mainForm_ && mainForm_->HandleAllocated()) SetForegroundWindow(mainForm_->Handle());
}

void TApplication::Minimize() {
  if (mainForm_ && mainForm_->HandleAllocated()) ShowWindow(mainForm_->Handle(), SW_MINIMIZE);
}

void TApplication::Restore() {
  if (mainForm_ && mainForm_->HandleAllocated()) ShowWindow(mainForm_->Handle(), SW_RESTORE);
}

// ---- Hints -------------------------------------------------------------------------------------------

void TApplication::SetShowHint(bool Value) {
  if (showHint_ == Value) return;
  showHint_ = Value;
  if (!Value) CancelHint();
}

void TApplication::SetHint(const String& Value) {
  if (hint_ == Value) return;
  hint_ = Value;
  if (OnHint) OnHint(this);
}

void TApplication::StartHintTimer(int Value, int Kind) {
  StopHintTimer();
  hintTimerKind_ = Kind;
  if (handle_) SetTimer(handle_, kHintTimerId, static_cast<UINT>(std::max(Value, 1)), nullptr);
}

void TApplication::StopHintTimer() {
  if (hintTimerKind_ && handle_) KillTimer(handle_, kHintTimerId);
  hintTimerKind_ = 0;
}

void TApplication::HintTimerExpired() {
  const int kind = hintTimerKind_;
  StopHintTimer();
  if (kind == htkShowTimer) {
    POINT p;
    GetCursorPos(&p);
    ActivateHint(p);
  } else if (kind == htkHideTimer) {
    CancelHint();
  }
}

void TApplication::HintMouseMessage(TControl* Control, TMessage& Message) {
  if (!showHint_) return;
  TPoint screen;
  try {
    screen = Control->ClientToScreen(Message.Pos());
  } catch (const Exception&) {
    return;
  }
  TControl* newControl = GetHintControl(FindDragTarget(screen, true));
  if (!newControl) {
    CancelHint();
    return;
  }
  const TRect& r = hintCursorRect_;
  const bool inRect = screen.X >= r.Left && screen.X < r.Right && screen.Y >= r.Top && screen.Y < r.Bottom;
  if (newControl != hintControl_ || !inRect) {
    const bool wasActive = hintActive_;
    int pause = wasActive ? hintShortPause_ : hintPause_;
    newControl->Perform(CM_HINTSHOWPAUSE, wasActive ? 1 : 0, reinterpret_cast<LPARAM>(&pause));
    CancelHint();
    hintActive_ = wasActive;
    hintControl_ = newControl;
    StartHintTimer(pause, htkShowTimer);
  }
}

void TApplication::ActivateHint(TPoint CursorPos) {
  hintActive_ = false;
  THintInfo info;
  if (showHint_ && hintControl_ && hintControl_ == GetHintControl(FindDragTarget(CursorPos, true))) {
    info.HintControl = hintControl_;
    info.HintPos = CursorPos;
    info.HintPos.Y += GetSystemMetrics(SM_CYCURSOR) * 2 / 3;
    info.HintMaxWidth = Screen ? Screen->Width() : GetSystemMetrics(SM_CXSCREEN);
    info.HintColor = hintColor_;
    TPoint origin = hintControl_->ClientOrigin();
    info.CursorRect = hintControl_->ClientRect();
    info.CursorRect =
        Rect(origin.X, origin.Y, origin.X + info.CursorRect.Width(), origin.Y + info.CursorRect.Height());
    info.CursorPos = hintControl_->ScreenToClient(CursorPos);
    info.HintStr = GetShortHint(hintControl_->Hint());
    info.HideTimeout = hintHidePause_;
    info.HintWindowClass = hintWindowClass_;
    bool canShow = hintControl_->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
    if (canShow && OnShowHint) OnShowHint(info.HintStr, canShow, info);
    hintActive_ = canShow && hintControl_;
    if (hintActive_ && !info.HintStr.empty()) {
      TClass cls = info.HintWindowClass ? info.HintWindowClass : THintWindow::StaticClass();
      if (!hintWindow_ || hintWindow_->ClassType() != cls) {
        if (hintWindow_) delete hintWindow_;
        hintWindow_ = nullptr;
        TObject* o = cls->Create(this);
        hintWindow_ = dynamic_cast<THintWindow*>(o);
        if (!hintWindow_) {
          delete o;
          return;
        }
      }
      hintWindow_->SetColor(info.HintColor);
      TRect rect = hintWindow_->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
      rect = Rect(rect.Left + info.HintPos.X, rect.Top + info.HintPos.Y, rect.Right + info.HintPos.X,
                  rect.Bottom + info.HintPos.Y);
      hintWindow_->ActivateHintData(rect, info.HintStr, info.HintData);
      hintCursorRect_ = info.CursorRect;
      if (info.ReshowTimeout > 0)
        StartHintTimer(info.ReshowTimeout, htkShowTimer);
      else
        StartHintTimer(info.HideTimeout, htkHideTimer);
      return;
    }
  }
  if (info.ReshowTimeout > 0)
    StartHintTimer(info.ReshowTimeout, htkShowTimer);
  else
    CancelHint();
}

void TApplication::HideHint() {
  if (hintWindow_ && hintWindow_->HandleAllocated() && IsWindowVisible(hintWindow_->Handle()))
    ShowWindow(hintWindow_->Handle(), SW_HIDE);
}

bool TApplication::HintShowing() const {
  return hintWindow_ && hintWindow_->HandleAllocated() && IsWindowVisible(hintWindow_->Handle());
}

void TApplication::CancelHint() {
  if (!hintControl_) return;
  HideHint();
  hintControl_ = nullptr;
  hintActive_ = false;
  StopHintTimer();
}

}  // namespace qd
