// Activation, focus and capture with the original's message order:
// old: WM_NCACTIVATE(FALSE), WM_ACTIVATE(WA_INACTIVE), [WM_ACTIVATEAPP(FALSE)];
// new: [WM_ACTIVATEAPP(TRUE)], WM_NCACTIVATE(TRUE), WM_ACTIVATE; focus: WM_KILLFOCUS, WM_SETFOCUS.
#include <algorithm>

#include "platform/os/user_display.h"
#include "platform/os/user_internal.h"

namespace qd::user {

InputState& Input() {
  static InputState* state = new InputState;
  return *state;
}

namespace {

bool Alive(HWND h) {
  return Lookup(h) != nullptr;
}

void SendActivateApp(DWORD thread, BOOL active, DWORD otherThread, HWND first) {
  std::vector<HWND> targets;
  if (first) targets.push_back(first);
  for (auto& w : TopLevelWindows())
    if (w->threadId == thread && w->handle != first) targets.push_back(w->handle);
  for (HWND h : targets)
    if (Alive(h)) Send(h, WM_ACTIVATEAPP, static_cast<WPARAM>(active), static_cast<LPARAM>(otherThread));
}

bool InSubtree(HWND root, HWND h) {
  return h && (h == root || IsChild(root, h));
}

}  // namespace

bool Activate(Window* w, WORD how, bool mouse) {
  InputState& in = Input();
  HWND newH = w ? w->handle : nullptr;
  HWND oldH = in.active;
  if (newH == oldH && (w || in.activeThread == 0)) return true;
  if (w && HasHooks(WH_CBT)) {
    CBTACTIVATESTRUCT cas{mouse ? TRUE : FALSE, oldH};
    if (CallHooks(WH_CBT, HCBT_ACTIVATE, reinterpret_cast<WPARAM>(newH), reinterpret_cast<LPARAM>(&cas)))
      return false;
    if (!Alive(newH)) return false;
  }
  if (w) {
    // The window comes to the top of its band first.
    SetWindowPosInternal(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!Alive(newH)) return false;
  }
  WindowPtr oldW = Lookup(oldH);
  const DWORD oldThread = in.activeThread;
  const DWORD newThread = w ? w->threadId : 0;
  in.active = newH;
  if (oldW) {
    Send(oldH, WM_NCACTIVATE, FALSE, 0);
    if (Alive(oldH))
      Send(oldH, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(oldH) ? 1 : 0),
           reinterpret_cast<LPARAM>(newH));
  }
  if (in.active != newH) return false;  // a handler activated something else
  if (oldThread && oldThread != newThread) {
    in.activeThread = 0;
    SendActivateApp(oldThread, FALSE, newThread, nullptr);
  }
  if (!w) {
    in.active = nullptr;
    in.foreground = nullptr;
    in.activeThread = 0;
    if (in.focus) SetFocusInternal(nullptr);
    return true;
  }
  if (!Alive(newH)) return false;
  if (in.activeThread != newThread) {
    in.activeThread = newThread;
    SendActivateApp(newThread, TRUE, oldThread, newH);
    if (!Alive(newH) || in.active != newH) return false;
  }
  in.foreground = newH;
  if (w->owner) w->owner->lastActivePopup = newH;
  Send(newH, WM_NCACTIVATE, TRUE, 0);
  if (!Alive(newH) || in.active != newH) return false;
  Send(newH, WM_ACTIVATE, MAKEWPARAM(how, IsIconic(newH) ? 1 : 0), reinterpret_cast<LPARAM>(oldH));
  return Alive(newH);
}

void ActivateOtherAfter(Window* w) {
  InputState& in = Input();
  if (in.active != w->handle) return;
  auto usable = [&](Window* c) {
    return c && c != w && c->kind == WindowKind::Normal && c->Visible() && c->Enabled() &&
           !(c->style & WS_MINIMIZE) && !(c->exStyle & WS_EX_NOACTIVATE) && c->threadId == w->threadId &&
           !c->destroying;
  };
  Window* next = nullptr;
  if (usable(w->owner)) next = w->owner;
  if (!next)
    for (auto& c : TopLevelWindows())
      if (usable(c.get()) && !(c->exStyle & WS_EX_TOOLWINDOW)) {
        next = c.get();
        break;
      }
  Activate(next, WA_ACTIVE, false);
  if (next && Alive(next->handle) && Input().active == next->handle) {
    HWND f = Input().focus;
    if (!f || !InSubtree(next->handle, f)) SetFocusInternal(next);
  }
}

void ReleaseFocusAndCaptureOf(Window* w) {
  InputState& in = Input();
  if (in.capture && InSubtree(w->handle, in.capture)) {
    HWND old = in.capture;
    in.capture = nullptr;
    if (Alive(old)) Send(old, WM_CAPTURECHANGED, 0, 0);
  }
  if (in.focus && InSubtree(w->handle, in.focus)) {
    if (w->IsChild() && Alive(w->parent->handle))
      SetFocusInternal(w->parent);
    else
      SetFocusInternal(nullptr);
  }
}

HWND SetFocusInternal(Window* w) {
  InputState& in = Input();
  HWND newH = w ? w->handle : nullptr;
  HWND oldH = in.focus;
  if (newH == oldH) return oldH;
  if (HasHooks(WH_CBT) &&
      CallHooks(WH_CBT, HCBT_SETFOCUS, reinterpret_cast<WPARAM>(newH), reinterpret_cast<LPARAM>(oldH)))
    return nullptr;
  if (w) {
    if (!Alive(newH)) return nullptr;
    Window* top = TopLevelOf(w);
    if (in.active != top->handle) {
      Activate(top, WA_ACTIVE, false);
      if (!Alive(newH) || in.active != top->handle) return nullptr;
      oldH = in.focus;
      if (oldH == newH) return oldH;
    }
    top->lastFocus = newH;
  }
  in.focus = newH;
  if (oldH && Alive(oldH)) Send(oldH, WM_KILLFOCUS, reinterpret_cast<WPARAM>(newH), 0);
  if (newH && Alive(newH) && in.focus == newH) Send(newH, WM_SETFOCUS, reinterpret_cast<WPARAM>(oldH), 0);
  return oldH;
}

}  // namespace qd::user

namespace qd {
using namespace user;

namespace {
HWND OwnThread(HWND h) {
  WindowPtr w = Lookup(h);
  return w && w->threadId == GetCurrentThreadId() ? h : nullptr;
}
}  // namespace

HWND SetFocus(HWND hwnd) {
  if (!hwnd) {
    HWND old = OwnThread(Input().focus);
    SetFocusInternal(nullptr);
    return old;
  }
  WindowPtr w = Checked(hwnd);
  if (!w) return nullptr;
  if (w->threadId != GetCurrentThreadId()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  if (Input().focus == hwnd) return hwnd;
  HWND old = OwnThread(Input().focus);
  if (!SetFocusInternal(w.get()) && Input().focus != hwnd) return nullptr;
  return old;
}

HWND GetFocus() {
  return OwnThread(Input().focus);
}

HWND SetActiveWindow(HWND hwnd) {
  HWND old = OwnThread(Input().active);
  if (!hwnd) {
    Activate(nullptr, WA_INACTIVE, false);
    return old;
  }
  WindowPtr w = Checked(hwnd);
  if (!w) return nullptr;
  Window* top = TopLevelOf(w.get());
  if (!Activate(top, WA_ACTIVE, false)) return nullptr;
  return old;
}

HWND GetActiveWindow() {
  return OwnThread(Input().active);
}

BOOL SetForegroundWindow(HWND hwnd) {
  WindowPtr w = Checked(hwnd);
  if (!w) return FALSE;
  return Activate(TopLevelOf(w.get()), WA_ACTIVE, false) ? TRUE : FALSE;
}

HWND GetForegroundWindow() {
  return Input().foreground;
}

HWND SetCapture(HWND hwnd) {
  WindowPtr w = Checked(hwnd);
  if (!w) return nullptr;
  InputState& in = Input();
  HWND old = in.capture;
  in.capture = hwnd;
  if (old && old != hwnd && Lookup(old)) Send(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  return OwnThread(old);
}

BOOL ReleaseCapture() {
  InputState& in = Input();
  HWND old = in.capture;
  if (!old) return TRUE;
  in.capture = nullptr;
  if (Lookup(old)) Send(old, WM_CAPTURECHANGED, 0, 0);
  // The window under the cursor learns about the mouse again.
  POINT pt;
  GetCursorPos(&pt);
  os::InjectMouseMove(pt);
  return TRUE;
}

HWND GetCapture() {
  return OwnThread(Input().capture);
}

}  // namespace qd
