// Mouse and keyboard input through the queue: injection, hit testing at retrieval, hooks,
// mouse activation, double clicks, key state, mouse tracking and character translation.
#include <algorithm>
#include <cstdlib>

#include "platform/os/clock.h"
#include "platform/os/kernel_wait.h"
#include "platform/os/user_display.h"
#include "platform/os/user_internal.h"

namespace qd::user {
namespace {

struct GlobalInput {
  std::mutex mutex;
  POINT cursor{960, 540};
  BYTE async[256] = {};
  // Double clicks.
  UINT lastDownMsg = 0;
  HWND lastDownWnd = nullptr;
  DWORD lastDownTime = 0;
  POINT lastDownPt;
  bool lastDownNc = false;
  UINT doubleClickTime = 500;
  // TrackMouseEvent.
  HWND trackWnd = nullptr;
  DWORD trackFlags = 0;
  DWORD hoverTime = 400;
  uint64_t hoverDueUs = 0;  // 0: no hover pending
  RECT hoverRect;
  bool trackedNc = false;
};

GlobalInput& G() {
  static GlobalInput* g = new GlobalInput;
  return *g;
}

constexpr UINT kNcOffset = WM_MOUSEMOVE - WM_NCMOUSEMOVE;  // 0x160

WORD MouseKeys(const BYTE* keys) {
  WORD mk = 0;
  if (keys[VK_LBUTTON] & 0x80) mk |= MK_LBUTTON;
  if (keys[VK_RBUTTON] & 0x80) mk |= MK_RBUTTON;
  if (keys[VK_MBUTTON] & 0x80) mk |= MK_MBUTTON;
  if (keys[VK_XBUTTON1] & 0x80) mk |= MK_XBUTTON1;
  if (keys[VK_XBUTTON2] & 0x80) mk |= MK_XBUTTON2;
  if (keys[VK_SHIFT] & 0x80) mk |= MK_SHIFT;
  if (keys[VK_CONTROL] & 0x80) mk |= MK_CONTROL;
  return mk;
}

int ButtonVk(UINT msg, WORD xbutton) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      return VK_LBUTTON;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      return VK_RBUTTON;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      return VK_MBUTTON;
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP:
      return xbutton == XBUTTON2 ? VK_XBUTTON2 : VK_XBUTTON1;
    default:
      return 0;
  }
}

bool IsButtonDown(UINT m) {
  return m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN || m == WM_XBUTTONDOWN;
}

int GenericVk(int vk) {
  switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT:
      return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
      return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
      return VK_MENU;
    default:
      return vk;
  }
}

void SetKey(BYTE* keys, int vk, bool down) {
  auto set = [&](int k) {
    if (down) {
      if (!(keys[k] & 0x80)) keys[k] ^= 0x01;  // toggles on each press
      keys[k] |= 0x80;
    } else {
      keys[k] &= static_cast<BYTE>(~0x80);
    }
  };
  set(vk);
  int g = GenericVk(vk);
  if (g != vk) {
    set(g);
  } else if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU) {
    set(vk == VK_SHIFT ? VK_LSHIFT : vk == VK_CONTROL ? VK_LCONTROL : VK_LMENU);
  }
}

ThreadPtr ThreadFor(HWND h) {
  WindowPtr w = Lookup(h);
  return w ? w->thread : nullptr;
}

// The thread that gets an injected event (the exact window is found when it is retrieved).
ThreadPtr AssignThread(const InputEvent& e) {
  InputState& in = Input();
  ThreadPtr ts;
  if (e.kind == InputEvent::Mouse) {
    if (in.capture) ts = ThreadFor(in.capture);
    if (!ts && e.message != WM_MOUSEWHEEL && e.message != WM_MOUSEHWHEEL) {
      if (Window* w = HitTestPoint(e.pt, false, nullptr)) ts = w->thread;
    }
  }
  if (!ts && in.focus) ts = ThreadFor(in.focus);
  if (!ts && in.active) ts = ThreadFor(in.active);
  if (!ts) {
    for (auto& w : TopLevelWindows())
      if (w->Visible()) {
        ts = w->thread;
        break;
      }
  }
  return ts ? ts : CurrentThreadPtr();
}

void Enqueue(InputEvent e) {
  ThreadPtr ts = AssignThread(e);
  {
    std::lock_guard lock(ts->mutex);
    // Mouse moves coalesce: only the newest position counts.
    if (e.kind == InputEvent::Mouse && e.message == WM_MOUSEMOVE && !ts->input.empty()) {
      InputEvent& last = ts->input.back();
      if (last.kind == InputEvent::Mouse && last.message == WM_MOUSEMOVE && !last.target) {
        last = e;
        goto queued;
      }
    }
    ts->input.push_back(e);
  }
queued:
  os::detail::WakeAll();
}

void Leave(GlobalInput& g) {
  if (!g.trackWnd) return;
  HWND h = g.trackWnd;
  bool nc = g.trackedNc;
  DWORD flags = g.trackFlags;
  g.trackWnd = nullptr;
  g.trackFlags = 0;
  g.hoverDueUs = 0;
  if (flags & TME_LEAVE) PostMessageW(h, nc ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
}

void ResetHover(GlobalInput& g, POINT pt) {
  if (!(g.trackFlags & TME_HOVER)) return;
  int hw = 4, hh = 4;
  SystemParametersInfoW(SPI_GETMOUSEHOVERWIDTH, 0, &hw, 0);
  SystemParametersInfoW(SPI_GETMOUSEHOVERHEIGHT, 0, &hh, 0);
  g.hoverRect = {pt.X - hw / 2, pt.Y - hh / 2, pt.X + hw / 2, pt.Y + hh / 2};
  g.hoverDueUs = os::NowMicroseconds() + static_cast<uint64_t>(g.hoverTime) * 1000;
}

// Mouse tracking on a mouse message that is being delivered.
void TrackOnMouse(HWND target, bool nc, POINT screen) {
  GlobalInput& g = G();
  if (!g.trackWnd) return;
  if (g.trackWnd != target || g.trackedNc != nc) {
    Leave(g);
    return;
  }
  if ((g.trackFlags & TME_HOVER) && (screen.X < g.hoverRect.Left || screen.X > g.hoverRect.Right ||
                                     screen.Y < g.hoverRect.Top || screen.Y > g.hoverRect.Bottom))
    ResetHover(g, screen);
}

}  // namespace

uint64_t HoverDue(ThreadState& ts) {
  GlobalInput& g = G();
  if (!g.hoverDueUs || !g.trackWnd) return UINT64_MAX;
  WindowPtr w = Lookup(g.trackWnd);
  if (!w || w->threadId != ts.id) return UINT64_MAX;
  return g.hoverDueUs;
}

bool PostDueHover(ThreadState& ts) {
  GlobalInput& g = G();
  uint64_t due = HoverDue(ts);
  if (due == UINT64_MAX || due > os::NowMicroseconds()) return false;
  HWND h = g.trackWnd;
  g.hoverDueUs = 0;
  g.trackFlags &= ~TME_HOVER;
  if (!g.trackFlags) g.trackWnd = nullptr;
  WindowPtr w = Lookup(h);
  if (!w) return false;
  POINT c = g.cursor;
  if (g.trackedNc) {
    PostMessageW(h, WM_NCMOUSEHOVER, static_cast<WPARAM>(HTCLIENT), MAKELPARAM(c.X, c.Y));
  } else {
    POINT p = ScreenToClientPoint(w.get(), c);
    PostMessageW(h, WM_MOUSEHOVER, MouseKeys(ts.keyState), MAKELPARAM(p.X, p.Y));
  }
  return true;
}

bool HasInput(ThreadState& ts) {
  std::lock_guard lock(ts.mutex);
  return !ts.input.empty();
}

namespace {

bool MatchFilter(HWND target, UINT message, HWND filter, UINT min, UINT max) {
  if (min || max) {
    if (min <= max ? (message < min || message > max) : (message < min && message > max)) return false;
  }
  if (filter && filter != reinterpret_cast<HWND>(-1) && target != filter && !IsChild(filter, target))
    return false;
  if (filter == reinterpret_cast<HWND>(-1)) return false;
  return true;
}

// Resolves the window and message of a mouse event; false when nobody gets it.
bool ResolveMouse(InputEvent& e, UINT& message, WPARAM& wParam, LPARAM& lParam) {
  InputState& in = Input();
  WindowPtr target;
  LRESULT hit = HTCLIENT;
  const bool wheel = e.message == WM_MOUSEWHEEL || e.message == WM_MOUSEHWHEEL;
  if (e.target) {
    target = Lookup(e.target);
    hit = e.hit;
  } else if (wheel) {
    target = Lookup(in.focus);
    if (!target) target = Lookup(in.active);
  } else if (in.capture && Lookup(in.capture)) {
    target = Lookup(in.capture);
  } else {
    Window* w = HitTestPoint(e.pt, true, &hit);
    if (w) target = Lookup(w->handle);
  }
  if (!target || target->threadId != GetCurrentThreadId()) return false;
  e.target = target->handle;
  e.hit = hit;
  const BYTE* keys = CurrentThread().keyState;
  WORD mk = MouseKeys(keys);
  if (IsButtonDown(e.message))
    mk |= (e.message == WM_LBUTTONDOWN   ? MK_LBUTTON
           : e.message == WM_RBUTTONDOWN ? MK_RBUTTON
           : e.message == WM_MBUTTONDOWN ? MK_MBUTTON
           : e.xbutton == XBUTTON2       ? MK_XBUTTON2
                                         : MK_XBUTTON1);
  if (wheel) {
    message = e.message;
    wParam = MAKEWPARAM(mk, e.wheel);
    lParam = MAKELPARAM(e.pt.X, e.pt.Y);
    return true;
  }
  const bool client = hit == HTCLIENT || (in.capture && in.capture == target->handle);
  message = client ? e.message : e.message - kNcOffset;
  if (client) {
    POINT p = ScreenToClientPoint(target.get(), e.pt);
    wParam = mk;
    if (e.message == WM_XBUTTONDOWN || e.message == WM_XBUTTONUP) wParam = MAKEWPARAM(mk, e.xbutton);
    lParam = MAKELPARAM(p.X, p.Y);
  } else {
    wParam = static_cast<WPARAM>(hit);
    if (e.message == WM_XBUTTONDOWN || e.message == WM_XBUTTONUP)
      wParam = MAKEWPARAM(static_cast<int>(hit), e.xbutton);
    lParam = MAKELPARAM(e.pt.X, e.pt.Y);
  }
  return true;
}

// Turns a button-down into a double click when it repeats the last one in time and place.
UINT DoubleClick(const InputEvent& e, UINT message, bool client, Window* target) {
  GlobalInput& g = G();
  const bool down = client ? IsButtonDown(message) : IsButtonDown(message + kNcOffset);
  if (!down) return message;
  const int cx = GetSystemMetrics(SM_CXDOUBLECLK), cy = GetSystemMetrics(SM_CYDOUBLECLK);
  const bool repeat = g.lastDownMsg == message && g.lastDownWnd == target->handle &&
                      g.lastDownNc == !client && e.time - g.lastDownTime <= g.doubleClickTime &&
                      std::abs(e.pt.X - g.lastDownPt.X) <= cx / 2 &&
                      std::abs(e.pt.Y - g.lastDownPt.Y) <= cy / 2;
  const bool classWants = !client || (target->cls && (target->cls->style & CS_DBLCLKS));
  if (repeat && classWants) {
    g.lastDownMsg = 0;
    return message + 2;  // xBUTTONDOWN + 2 = xBUTTONDBLCLK
  }
  g.lastDownMsg = message;
  g.lastDownWnd = target->handle;
  g.lastDownTime = e.time;
  g.lastDownPt = e.pt;
  g.lastDownNc = !client;
  return message;
}

// WM_MOUSEACTIVATE for a click into a window whose top-level window is not active; returns
// false when the click is eaten.
bool MouseActivate(Window* target, LRESULT hit, UINT message) {
  Window* top = TopLevelOf(target);
  InputState& in = Input();
  if (!top || top->kind != WindowKind::Normal || !top->IsTopLevel() || in.active == top->handle) return true;
  // A child window of the desktop (a drop-down's popup) is never activated: a click into it
  // leaves the active window, and so the focus, where they are.
  if (top->style & WS_CHILD) return true;
  HWND th = target->handle;
  LRESULT r = Send(th, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top->handle),
                   MAKELPARAM(static_cast<int>(hit), message));
  if (!Lookup(top->handle)) return false;
  if ((r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT) && !(top->exStyle & WS_EX_NOACTIVATE)) {
    Activate(top, WA_CLICKACTIVE, true);
    if (Lookup(top->handle) && Input().active == top->handle) {
      HWND f = Input().focus;
      if (!f || (f != top->handle && !IsChild(top->handle, f))) SetFocusInternal(top);
    }
  }
  return r != MA_ACTIVATEANDEAT && r != MA_NOACTIVATEANDEAT && Lookup(th);
}

// Key messages: WM_SYSKEY* while Alt is down (without Ctrl), for F10, and when no window has the focus.
bool ResolveKey(InputEvent& e, UINT& message, WPARAM& wParam, LPARAM& lParam) {
  InputState& in = Input();
  WindowPtr target = Lookup(e.target ? e.target : in.focus);
  bool noFocus = false;
  if (!target) {
    target = Lookup(in.active);
    noFocus = true;
  }
  if (!target || target->threadId != GetCurrentThreadId()) return false;
  e.target = target->handle;
  const BYTE* keys = CurrentThread().keyState;
  const int vk = GenericVk(e.vk);
  const bool alt = (keys[VK_MENU] & 0x80) || (e.message == WM_KEYDOWN && vk == VK_MENU);
  const bool ctrl = keys[VK_CONTROL] & 0x80;
  const bool down = e.message == WM_KEYDOWN;
  const bool sys = (alt && !ctrl) || vk == VK_F10 || noFocus;
  message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
  wParam = static_cast<WPARAM>(vk);
  const bool wasDown = keys[vk] & 0x80;
  LPARAM lp = 1 | (static_cast<LPARAM>(e.scan & 0xFF) << 16);
  if (e.extended) lp |= LPARAM{1} << 24;
  if (alt && !ctrl) lp |= LPARAM{1} << 29;
  if (down ? wasDown : true) lp |= LPARAM{1} << 30;
  if (!down) lp |= LPARAM{1} << 31;
  lParam = static_cast<LPARAM>(static_cast<DWORD>(lp));
  return true;
}

}  // namespace

namespace {
bool ChainEnabled(const Window* w) {
  for (const Window* x = w; x && x->kind == WindowKind::Normal; x = x->parent)
    if (!x->Enabled()) return false;
  return true;
}
}  // namespace

bool TakeInput(ThreadState& ts, HWND filter, UINT min, UINT max, bool remove, MSG& msg) {
  auto erase = [&](size_t i) {
    std::lock_guard lock(ts.mutex);
    if (i < ts.input.size()) ts.input.erase(ts.input.begin() + static_cast<long>(i));
  };
  for (size_t i = 0;;) {
    InputEvent e;
    {
      std::lock_guard lock(ts.mutex);
      if (i >= ts.input.size()) return false;
      e = ts.input[i];
    }
    const bool mouse = e.kind == InputEvent::Mouse;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    const bool resolved =
        mouse ? ResolveMouse(e, message, wParam, lParam) : ResolveKey(e, message, wParam, lParam);
    WindowPtr target = resolved ? Lookup(e.target) : nullptr;
    if (!target || (mouse && !ChainEnabled(target.get()))) {
      // Nobody takes it; the key state still follows the hardware.
      if (!mouse) SetKey(ts.keyState, e.vk, e.message == WM_KEYDOWN);
      if (int vk = ButtonVk(e.message, e.xbutton)) SetKey(ts.keyState, vk, IsButtonDown(e.message));
      erase(i);
      continue;
    }
    const bool wheel = e.message == WM_MOUSEWHEEL || e.message == WM_MOUSEHWHEEL;
    const bool clientMouse = mouse && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
    if (mouse && !wheel && e.doubleClickDecided == 0) {
      e.doubleClickDecided = DoubleClick(e, message, clientMouse, target.get());
    }
    if (mouse && !wheel) message = e.doubleClickDecided;
    {
      std::lock_guard lock(ts.mutex);
      if (i < ts.input.size()) ts.input[i] = e;  // the resolved window and message stay with the event
    }
    if (!MatchFilter(e.target, message, filter, min, max)) {
      ++i;
      continue;
    }
    // Hooks see the message before anything happens; a non-zero result discards it.
    const int code = remove ? HC_ACTION : HC_NOREMOVE;
    bool discard = false;
    if (mouse && HasHooks(WH_MOUSE)) {
      MOUSEHOOKSTRUCTEX mh;
      mh.pt = e.pt;
      mh.hwnd = e.target;
      mh.wHitTestCode = static_cast<UINT>(e.hit);
      if (wheel) mh.mouseData = static_cast<DWORD>(e.wheel) << 16;
      discard = CallHooks(WH_MOUSE, code, message, reinterpret_cast<LPARAM>(&mh)) != 0;
    } else if (!mouse && HasHooks(WH_KEYBOARD)) {
      discard = CallHooks(WH_KEYBOARD, code, wParam, lParam) != 0;
    }
    if (discard) {
      if (!mouse) SetKey(ts.keyState, e.vk, e.message == WM_KEYDOWN);
      if (int vk = ButtonVk(e.message, e.xbutton)) SetKey(ts.keyState, vk, IsButtonDown(e.message));
      erase(i);
      continue;
    }
    if (!remove) {
      msg = MSG{e.target, message, wParam, lParam, e.time, e.pt};
      return true;
    }
    erase(i);
    if (mouse) {
      if (int vk = ButtonVk(e.message, e.xbutton)) SetKey(ts.keyState, vk, IsButtonDown(e.message));
      if (IsButtonDown(e.message) && !MouseActivate(target.get(), e.hit, message)) continue;
      if (!wheel) {
        if (!Input().capture && Lookup(e.target))
          Send(e.target, WM_SETCURSOR, reinterpret_cast<WPARAM>(e.target),
               MAKELPARAM(static_cast<int>(e.hit), message));
        if (e.message == WM_MOUSEMOVE) TrackOnMouse(e.target, !clientMouse, e.pt);
      }
      if (!Lookup(e.target)) continue;
    } else {
      SetKey(ts.keyState, e.vk, e.message == WM_KEYDOWN);
      ts.lastPacketChar = e.ch;
    }
    msg = MSG{e.target, message, wParam, lParam, e.time, e.pt};
    return true;
  }
}

// ---- Characters ------------------------------------------------------------------------------------
Char VkToChar(int vk, const BYTE* keys, Char packet) {
  if (vk == VK_PACKET) return packet;
  const bool shift = keys[VK_SHIFT] & 0x80;
  const bool caps = keys[VK_CAPITAL] & 0x01;
  const bool ctrl = keys[VK_CONTROL] & 0x80;
  const bool alt = keys[VK_MENU] & 0x80;
  if (ctrl && !alt) {
    if (vk >= 'A' && vk <= 'Z') return static_cast<Char>(vk - 'A' + 1);
    switch (vk) {
      case VK_OEM_4:
        return 0x1B;
      case VK_OEM_5:
        return 0x1C;
      case VK_OEM_6:
        return 0x1D;
      case VK_RETURN:
        return 0x0A;
      case VK_BACK:
        return 0x7F;
      case VK_SPACE:
        return u' ';
      default:
        return 0;
    }
  }
  return os::UsLayoutChar(vk, shift, caps);
}

}  // namespace qd::user

namespace qd::os {
using namespace qd::user;

Char UsLayoutChar(int vk, bool shift, bool capsLock) {
  if (vk >= 'A' && vk <= 'Z') return static_cast<Char>((shift != capsLock) ? vk : vk - 'A' + 'a');
  if (vk >= '0' && vk <= '9') {
    static const char16_t shifted[] = u")!@#$%^&*(";
    return shift ? shifted[vk - '0'] : static_cast<Char>(vk);
  }
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<Char>(u'0' + (vk - VK_NUMPAD0));
  switch (vk) {
    case VK_SPACE:
      return u' ';
    case VK_RETURN:
      return u'\r';
    case VK_BACK:
      return 8;
    case VK_TAB:
      return 9;
    case VK_ESCAPE:
      return 27;
    case VK_MULTIPLY:
      return u'*';
    case VK_ADD:
      return u'+';
    case VK_SUBTRACT:
      return u'-';
    case VK_DECIMAL:
      return u'.';
    case VK_DIVIDE:
      return u'/';
    case VK_OEM_1:
      return shift ? u':' : u';';
    case VK_OEM_PLUS:
      return shift ? u'+' : u'=';
    case VK_OEM_COMMA:
      return shift ? u'<' : u',';
    case VK_OEM_MINUS:
      return shift ? u'_' : u'-';
    case VK_OEM_PERIOD:
      return shift ? u'>' : u'.';
    case VK_OEM_2:
      return shift ? u'?' : u'/';
    case VK_OEM_3:
      return shift ? u'~' : u'`';
    case VK_OEM_4:
      return shift ? u'{' : u'[';
    case VK_OEM_5:
      return shift ? u'|' : u'\\';
    case VK_OEM_6:
      return shift ? u'}' : u']';
    case VK_OEM_7:
      return shift ? u'"' : u'\'';
    default:
      return 0;
  }
}

void InjectMouseMove(POINT screen) {
  InputEvent e;
  e.kind = InputEvent::Mouse;
  e.message = WM_MOUSEMOVE;
  e.pt = screen;
  e.time = GetTickCount();
  {
    std::lock_guard lock(G().mutex);
    G().cursor = screen;
  }
  Enqueue(e);
}

void InjectMouseButton(UINT message, POINT screen, WORD xbutton) {
  InputEvent e;
  e.kind = InputEvent::Mouse;
  e.message = message;
  e.pt = screen;
  e.xbutton = xbutton;
  e.time = GetTickCount();
  {
    std::lock_guard lock(G().mutex);
    G().cursor = screen;
    if (int vk = ButtonVk(message, xbutton)) SetKey(G().async, vk, IsButtonDown(message));
  }
  Enqueue(e);
}

void InjectMouseWheel(POINT screen, int delta, bool horizontal) {
  InputEvent e;
  e.kind = InputEvent::Mouse;
  e.message = horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL;
  e.pt = screen;
  e.wheel = delta;
  e.time = GetTickCount();
  Enqueue(e);
}

void InjectKey(int vk, bool down, Char ch, bool extended) {
  InputEvent e;
  e.kind = InputEvent::Key;
  e.message = down ? WM_KEYDOWN : WM_KEYUP;
  e.vk = vk & 0xFF;
  e.ch = ch;
  e.scan = static_cast<WORD>(MapVirtualKeyW(static_cast<UINT>(vk), 0));
  e.extended = extended;
  e.time = GetTickCount();
  {
    std::lock_guard lock(G().mutex);
    SetKey(G().async, e.vk, down);
  }
  Enqueue(e);
}

void ResetInputForTesting() {
  GlobalInput& g = G();
  std::lock_guard lock(g.mutex);
  std::fill(std::begin(g.async), std::end(g.async), BYTE{0});
  g.cursor = {960, 540};
  g.lastDownMsg = 0;
  g.lastDownWnd = nullptr;
  g.doubleClickTime = 500;
  g.trackWnd = nullptr;
  g.trackFlags = 0;
  g.hoverDueUs = 0;
  ThreadState& ts = CurrentThread();
  std::fill(std::begin(ts.keyState), std::end(ts.keyState), BYTE{0});
}

}  // namespace qd::os

namespace qd {
using namespace user;

BOOL TranslateMessage(const MSG* msg) {
  if (!msg) return FALSE;
  if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN && msg->message != WM_KEYUP &&
      msg->message != WM_SYSKEYUP)
    return FALSE;
  if (msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP) return TRUE;
  ThreadState& ts = CurrentThread();
  Char ch = VkToChar(static_cast<int>(msg->wParam), ts.keyState, ts.lastPacketChar);
  if (ch) PostMessageW(msg->hwnd, msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR, ch, msg->lParam);
  return TRUE;
}

SHORT GetKeyState(int vk) {
  BYTE k = CurrentThread().keyState[vk & 0xFF];
  return static_cast<SHORT>(((k & 0x80) ? 0xFF80 : 0) | (k & 0x01));
}

SHORT GetAsyncKeyState(int vk) {
  std::lock_guard lock(G().mutex);
  return (G().async[vk & 0xFF] & 0x80) ? static_cast<SHORT>(0x8000) : SHORT{0};
}

BOOL GetKeyboardState(BYTE* state) {
  if (!state) return FALSE;
  std::copy_n(CurrentThread().keyState, 256, state);
  return TRUE;
}

BOOL SetKeyboardState(const BYTE* state) {
  if (!state) return FALSE;
  std::copy_n(state, 256, CurrentThread().keyState);
  return TRUE;
}

UINT MapVirtualKeyW(UINT code, UINT mapType) {
  // Scan codes of a US keyboard for the keys that have one.
  static const struct {
    BYTE vk, scan;
  } table[] = {{VK_ESCAPE, 0x01},   {'1', 0x02},         {'2', 0x03},          {'3', 0x04},
               {'4', 0x05},         {'5', 0x06},         {'6', 0x07},          {'7', 0x08},
               {'8', 0x09},         {'9', 0x0A},         {'0', 0x0B},          {VK_OEM_MINUS, 0x0C},
               {VK_OEM_PLUS, 0x0D}, {VK_BACK, 0x0E},     {VK_TAB, 0x0F},       {'Q', 0x10},
               {'W', 0x11},         {'E', 0x12},         {'R', 0x13},          {'T', 0x14},
               {'Y', 0x15},         {'U', 0x16},         {'I', 0x17},          {'O', 0x18},
               {'P', 0x19},         {VK_OEM_4, 0x1A},    {VK_OEM_6, 0x1B},     {VK_RETURN, 0x1C},
               {VK_CONTROL, 0x1D},  {'A', 0x1E},         {'S', 0x1F},          {'D', 0x20},
               {'F', 0x21},         {'G', 0x22},         {'H', 0x23},          {'J', 0x24},
               {'K', 0x25},         {'L', 0x26},         {VK_OEM_1, 0x27},     {VK_OEM_7, 0x28},
               {VK_OEM_3, 0x29},    {VK_SHIFT, 0x2A},    {VK_OEM_5, 0x2B},     {'Z', 0x2C},
               {'X', 0x2D},         {'C', 0x2E},         {'V', 0x2F},          {'B', 0x30},
               {'N', 0x31},         {'M', 0x32},         {VK_OEM_COMMA, 0x33}, {VK_OEM_PERIOD, 0x34},
               {VK_OEM_2, 0x35},    {VK_RSHIFT, 0x36},   {VK_MULTIPLY, 0x37},  {VK_MENU, 0x38},
               {VK_SPACE, 0x39},    {VK_CAPITAL, 0x3A},  {VK_F1, 0x3B},        {VK_F2, 0x3C},
               {VK_F3, 0x3D},       {VK_F4, 0x3E},       {VK_F5, 0x3F},        {VK_F6, 0x40},
               {VK_F7, 0x41},       {VK_F8, 0x42},       {VK_F9, 0x43},        {VK_F10, 0x44},
               {VK_NUMLOCK, 0x45},  {VK_SCROLL, 0x46},   {VK_HOME, 0x47},      {VK_UP, 0x48},
               {VK_PRIOR, 0x49},    {VK_SUBTRACT, 0x4A}, {VK_LEFT, 0x4B},      {VK_RIGHT, 0x4D},
               {VK_ADD, 0x4E},      {VK_END, 0x4F},      {VK_DOWN, 0x50},      {VK_NEXT, 0x51},
               {VK_INSERT, 0x52},   {VK_DELETE, 0x53},   {VK_F11, 0x57},       {VK_F12, 0x58},
               {VK_LSHIFT, 0x2A},   {VK_LCONTROL, 0x1D}, {VK_LMENU, 0x38},     {VK_APPS, 0x5D}};
  switch (mapType) {
    case 0:  // MAPVK_VK_TO_VSC
      for (auto& t : table)
        if (t.vk == code) return t.scan;
      return 0;
    case 1:  // MAPVK_VSC_TO_VK
      for (auto& t : table)
        if (t.scan == code) return t.vk;
      return 0;
    case 2: {  // MAPVK_VK_TO_CHAR
      BYTE none[256] = {};
      return VkToChar(static_cast<int>(code), none, 0);
    }
    default:
      return 0;
  }
}

SHORT VkKeyScanW(WCHAR ch) {
  if (ch >= u'a' && ch <= u'z') return static_cast<SHORT>(ch - u'a' + 'A');
  if (ch >= u'A' && ch <= u'Z') return static_cast<SHORT>(0x100 | ch);
  if (ch >= u'0' && ch <= u'9') return static_cast<SHORT>(ch);
  BYTE keys[256] = {};
  for (int shift = 0; shift < 2; ++shift) {
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    for (int vk = 1; vk < 256; ++vk)
      if (vk != VK_PACKET && VkToChar(vk, keys, 0) == ch) return static_cast<SHORT>((shift ? 0x100 : 0) | vk);
  }
  return -1;
}

BOOL GetCursorPos(LPPOINT point) {
  if (!point) return FALSE;
  std::lock_guard lock(G().mutex);
  *point = G().cursor;
  return TRUE;
}

BOOL GetPhysicalCursorPos(LPPOINT point) {
  return GetCursorPos(point);
}

BOOL SetCursorPos(int x, int y) {
  os::InjectMouseMove({x, y});
  return TRUE;
}

UINT GetDoubleClickTime() {
  return G().doubleClickTime;
}

BOOL SetDoubleClickTime(UINT ms) {
  G().doubleClickTime = ms ? ms : 500;
  return TRUE;
}

BOOL SwapMouseButton(BOOL) {
  return FALSE;
}

BOOL DragDetect(HWND hwnd, POINT point) {
  // Runs a capture loop until the mouse leaves the drag rectangle (TRUE) or the button goes
  // up or Escape is pressed (FALSE).
  if (!IsWindow(hwnd)) return FALSE;
  POINT s = point;
  ClientToScreen(hwnd, &s);
  const int cx = GetSystemMetrics(SM_CXDRAG), cy = GetSystemMetrics(SM_CYDRAG);
  SetCapture(hwnd);
  BOOL result = FALSE;
  for (;;) {
    MSG m;
    if (!GetMessageW(&m, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    if (m.message == WM_MOUSEMOVE) {
      if (std::abs(m.pt.X - s.X) > cx / 2 || std::abs(m.pt.Y - s.Y) > cy / 2) {
        result = TRUE;
        break;
      }
    } else if (m.message == WM_LBUTTONUP || m.message == WM_RBUTTONUP ||
               (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE)) {
      break;
    } else if (m.message != WM_KEYDOWN && m.message != WM_KEYUP && m.message != WM_CHAR) {
      DispatchMessageW(&m);
    }
  }
  if (GetCapture() == hwnd) ReleaseCapture();
  return result;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme) {
  if (!tme || tme->cbSize != sizeof(TRACKMOUSEEVENT)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  GlobalInput& g = G();
  if (tme->dwFlags & TME_QUERY) {
    tme->dwFlags = g.trackWnd ? (g.trackFlags | (g.trackedNc ? TME_NONCLIENT : 0)) : 0;
    tme->hwndTrack = g.trackWnd;
    tme->dwHoverTime = g.hoverTime;
    return TRUE;
  }
  WindowPtr w = Checked(tme->hwndTrack);
  if (!w) return FALSE;
  const DWORD kinds = tme->dwFlags & (TME_HOVER | TME_LEAVE);
  const bool nc = (tme->dwFlags & TME_NONCLIENT) != 0;
  if (tme->dwFlags & TME_CANCEL) {
    if (g.trackWnd == tme->hwndTrack) {
      g.trackFlags &= ~kinds;
      if (!(g.trackFlags & TME_HOVER)) g.hoverDueUs = 0;
      if (!g.trackFlags) g.trackWnd = nullptr;
    }
    return TRUE;
  }
  // The cursor must be over the window (in the right part) now, else WM_MOUSELEAVE comes at once.
  POINT c;
  GetCursorPos(&c);
  LRESULT hit = HTNOWHERE;
  Window* under = HitTestPoint(c, true, &hit);
  const bool inside = under == w.get() && ((hit == HTCLIENT) != nc);
  if (!inside) {
    if (kinds & TME_LEAVE) PostMessageW(tme->hwndTrack, nc ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
    return TRUE;
  }
  if (g.trackWnd != tme->hwndTrack || g.trackedNc != nc) {
    g.trackFlags = 0;
    g.hoverDueUs = 0;
  }
  g.trackWnd = tme->hwndTrack;
  g.trackedNc = nc;
  g.trackFlags |= kinds;
  if (kinds & TME_HOVER) {
    DWORD t = tme->dwHoverTime;
    if (t == HOVER_DEFAULT) SystemParametersInfoW(SPI_GETMOUSEHOVERTIME, 0, &t, 0);
    g.hoverTime = t;
    ResetHover(g, c);
  }
  return TRUE;
}

BOOL _TrackMouseEvent(TRACKMOUSEEVENT* tme) {
  return TrackMouseEvent(tme);
}

BOOL MessageBeep(UINT type) {
  user::RecordBeep(type);
  return TRUE;
}

}  // namespace qd
