// Geometry: coordinates, the non-client frame, SetWindowPos, ShowWindow, hit testing.
#include <algorithm>
#include <set>

#include "platform/os/user_display.h"
#include "platform/os/user_internal.h"

namespace qd::user {

UINT WindowDpi(const Window* w) {
  const Window* top = w;
  while (top && top->parent && top->parent->kind == WindowKind::Normal) top = top->parent;
  if (top && top != w) return top->dpi;
  if (!w || w->kind != WindowKind::Normal) return GetDpiForSystem();
  if (w->parent && w->parent->kind == WindowKind::MessageRoot) return GetDpiForSystem();
  RECT r = ScreenWindowRect(w);
  HMONITOR m = MonitorFromRect(&r, 2 /*MONITOR_DEFAULTTONEAREST*/);
  UINT x = 96, y = 96;
  if (GetDpiForMonitor(m, 0, &x, &y) != 0) return GetDpiForSystem();
  return x;
}

POINT ClientOriginScreen(const Window* w) {
  POINT p{0, 0};
  for (const Window* x = w; x && x->kind == WindowKind::Normal; x = x->parent) {
    p.X += x->client.Left;
    p.Y += x->client.Top;
  }
  return p;
}

namespace {
POINT ParentClientOrigin(const Window* w) {
  return w->parent ? ClientOriginScreen(w->parent) : POINT{0, 0};
}
}  // namespace

RECT ScreenWindowRect(const Window* w) {
  if (w->kind != WindowKind::Normal) return w->window;
  const POINT origin = ParentClientOrigin(w);
  return RectOffset(w->window, origin.X, origin.Y);
}

RECT ScreenClientRect(const Window* w) {
  if (w->kind != WindowKind::Normal) return w->client;
  const POINT origin = ParentClientOrigin(w);
  return RectOffset(w->client, origin.X, origin.Y);
}

bool IsVisibleChain(const Window* w) {
  for (const Window* x = w; x && x->kind == WindowKind::Normal; x = x->parent)
    if (!x->Visible()) return false;
  return w && (w->kind == WindowKind::Normal || w->kind == WindowKind::Desktop);
}

POINT ScreenToClientPoint(const Window* w, POINT s) {
  RECT c = ScreenClientRect(w);
  if (w->Rtl()) return {c.Right - s.X, s.Y - c.Top};
  return {s.X - c.Left, s.Y - c.Top};
}

POINT ClientToScreenPoint(const Window* w, POINT p) {
  RECT c = ScreenClientRect(w);
  if (w->Rtl()) return {c.Right - p.X, c.Top + p.Y};
  return {c.Left + p.X, c.Top + p.Y};
}

bool ContainsScreenPoint(const Window* w, POINT s) {
  RECT r = ScreenWindowRect(w);
  if (s.X < r.Left || s.X >= r.Right || s.Y < r.Top || s.Y >= r.Bottom) return false;
  if (w->windowRegion) return w->windowRegion->Contains({s.X - r.Left, s.Y - r.Top});
  return true;
}

RECT NonClientInsets(DWORD style, DWORD exStyle, UINT dpi, bool scrollBars) {
  auto m = [&](int index) { return GetSystemMetricsForDpi(index, dpi); };
  int b = 0;
  if (style & WS_THICKFRAME)
    b = m(32 /*SM_CXSIZEFRAME*/) + m(92 /*SM_CXPADDEDBORDER*/);
  else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
    b = m(7 /*SM_CXFIXEDFRAME*/);
  else if (style & WS_BORDER)
    b = m(5 /*SM_CXBORDER*/);
  if (exStyle & WS_EX_CLIENTEDGE) b += m(45 /*SM_CXEDGE*/);
  if (exStyle & WS_EX_STATICEDGE) b += m(5);
  RECT r{b, b, b, b};
  if ((style & WS_CAPTION) == WS_CAPTION)
    r.Top += (exStyle & WS_EX_TOOLWINDOW) ? m(51 /*SM_CYSMCAPTION*/) : m(4 /*SM_CYCAPTION*/);
  if (scrollBars) {
    const bool left = ((exStyle & WS_EX_LEFTSCROLLBAR) != 0) != ((exStyle & WS_EX_LAYOUTRTL) != 0);
    if (style & WS_VSCROLL) (left ? r.Left : r.Right) += m(2 /*SM_CXVSCROLL*/);
    if (style & WS_HSCROLL) r.Bottom += m(3 /*SM_CYHSCROLL*/);
  }
  return r;
}

// ---- Hit testing ---------------------------------------------------------------------------------
namespace {

Window* Deepest(Window* w, POINT s, const std::set<Window*>& skip) {
  RECT c = ScreenClientRect(w);
  if (s.X >= c.Left && s.X < c.Right && s.Y >= c.Top && s.Y < c.Bottom) {
    for (Window* ch : w->children) {
      if (!ch->Visible() || !ContainsScreenPoint(ch, s)) continue;
      if ((ch->exStyle & (WS_EX_LAYERED | WS_EX_TRANSPARENT)) == (WS_EX_LAYERED | WS_EX_TRANSPARENT))
        continue;
      if (!ch->Enabled()) break;  // a disabled child: the point belongs to its parent
      if (Window* r = Deepest(ch, s, skip)) return r;
    }
  }
  return skip.count(w) ? nullptr : w;
}

Window* FindAt(POINT s, const std::set<Window*>& skip) {
  std::lock_guard lock(WmMutex());
  for (Window* top : Desktop()->children) {
    if (!top->Visible() || !ContainsScreenPoint(top, s)) continue;
    if ((top->exStyle & (WS_EX_LAYERED | WS_EX_TRANSPARENT)) == (WS_EX_LAYERED | WS_EX_TRANSPARENT)) continue;
    if (Window* r = Deepest(top, s, skip)) return r;
  }
  return nullptr;
}

}  // namespace

Window* HitTestPoint(POINT s, bool sendHitTest, LRESULT* hit) {
  std::set<Window*> skip;
  for (;;) {
    Window* w = FindAt(s, skip);
    if (!w) {
      if (hit) *hit = HTNOWHERE;
      return nullptr;
    }
    if (!sendHitTest || w->threadId != GetCurrentThreadId()) {
      if (hit) {
        RECT c = ScreenClientRect(w);
        *hit = (s.X >= c.Left && s.X < c.Right && s.Y >= c.Top && s.Y < c.Bottom) ? HTCLIENT : HTBORDER;
      }
      return w;
    }
    HWND h = w->handle;
    LRESULT r = Send(h, WM_NCHITTEST, 0, MAKELPARAM(s.X, s.Y));
    if (!Lookup(h)) continue;
    if (r == HTTRANSPARENT) {
      skip.insert(w);
      continue;
    }
    if (hit) *hit = r;
    return w;
  }
}

// ---- Positions -------------------------------------------------------------------------------------
namespace {

// The window rectangle as the API reports it in the parent's client coordinates (mirrored in
// a right-to-left parent).
RECT ApiRect(const Window* w) {
  RECT r = w->window;
  if (w->IsChild() && w->parent->Rtl()) {
    int pw = w->parent->client.Width();
    return {pw - r.Right, r.Top, pw - r.Left, r.Bottom};
  }
  return r;
}

void ResizeSurfaceKeeping(Window* top) {
  EnsureSurface(top);
}

bool SameZPlace(Window* w, HWND after) {
  auto& sib = w->parent->children;
  auto it = std::find(sib.begin(), sib.end(), w);
  if (it == sib.end()) return false;
  if (after == HWND_TOP) {
    if (w->IsTopLevel() && !(w->exStyle & WS_EX_TOPMOST)) {
      for (auto j = sib.begin(); j != it; ++j)
        if (!((*j)->exStyle & WS_EX_TOPMOST)) return false;
      return true;
    }
    return it == sib.begin();
  }
  if (after == HWND_BOTTOM) return it + 1 == sib.end();
  if (after == HWND_TOPMOST) return (w->exStyle & WS_EX_TOPMOST) && it == sib.begin();
  if (after == HWND_NOTOPMOST) return !(w->exStyle & WS_EX_TOPMOST);
  return it != sib.begin() && (*(it - 1))->handle == after;
}

void BringOwnedAbove(Window* owner) {
  // Owned windows stay above their owner.
  std::vector<Window*> owned;
  for (Window* c : Desktop()->children)
    if (c->owner == owner) owned.push_back(c);
  for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
    auto& sib = Desktop()->children;
    auto oi = std::find(sib.begin(), sib.end(), owner);
    auto wi = std::find(sib.begin(), sib.end(), *it);
    if (wi > oi) {
      Window* w = *wi;
      sib.erase(wi);
      oi = std::find(sib.begin(), sib.end(), owner);
      if (!(w->exStyle & WS_EX_TOPMOST) && ((*oi)->exStyle & WS_EX_TOPMOST)) continue;
      sib.insert(oi, w);
    }
  }
}

void ShiftRtlChildren(Window* w, int dx) {
  if (!dx || !w->Rtl()) return;
  for (Window* c : w->children) {
    c->window = RectOffset(c->window, dx, 0);
    c->client = RectOffset(c->client, dx, 0);
  }
}

// The flags SetWindowPos acts on: showing wins over hiding, and what would not change (the
// same place, size or z-order, a visible window shown) is dropped. A child cannot be topmost.
UINT EffectiveFlags(Window* w, const RECT& api, HWND& insertAfter, int x, int y, int cx, int cy, UINT flags) {
  const bool child = !w->IsTopLevel();
  if (flags & SWP_SHOWWINDOW) flags &= ~SWP_HIDEWINDOW;
  if ((flags & SWP_SHOWWINDOW) && w->Visible()) flags &= ~SWP_SHOWWINDOW;
  if ((flags & SWP_HIDEWINDOW) && !w->Visible()) flags &= ~SWP_HIDEWINDOW;
  if (!(flags & SWP_NOMOVE) && x == api.Left && y == api.Top) flags |= SWP_NOMOVE;
  if (!(flags & SWP_NOSIZE) && cx == api.Width() && cy == api.Height()) flags |= SWP_NOSIZE;
  if (!(flags & SWP_NOZORDER)) {
    if (child && (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST)) insertAfter = HWND_TOP;
    if (insertAfter == w->handle) {
      flags |= SWP_NOZORDER;
    } else {
      std::lock_guard lock(WmMutex());
      if (SameZPlace(w, insertAfter)) flags |= SWP_NOZORDER;
    }
  }
  return flags;
}

// The window rectangle (in the parent's client coordinates) that a WINDOWPOS asks for; a child
// of a right-to-left parent is placed from the parent's right edge, and keeps its right edge
// when only its size changes.
RECT NewWindowRect(const Window* w, const WINDOWPOS& wp, bool moveChanged) {
  const RECT& oldWindow = w->window;
  const bool mirrored = w->IsChild() && w->parent->Rtl();
  int nx = oldWindow.Left, ny = oldWindow.Top;
  int ncx = std::max(0, wp.cx), ncy = std::max(0, wp.cy);
  if (moveChanged) {
    nx = mirrored ? w->parent->client.Width() - wp.x - ncx : wp.x;
    ny = wp.y;
  } else if (mirrored) {
    nx = oldWindow.Right - ncx;
  }
  return {nx, ny, nx + ncx, ny + ncy};
}

// One SetWindowPos as it changed the window.
struct PosChange {
  RECT oldWindow, oldClient, newWindow, newClient;
  UINT flags;
  LRESULT wvr;  // WM_NCCALCSIZE's answer
  bool moveChanged, sizeChanged;
  bool nowVisible;
};

// What has to be painted again after the window moved, changed size, was shown or was hidden.
void InvalidateAfterChange(Window* w, const PosChange& c) {
  const bool child = !w->IsTopLevel();
  const UINT flags = c.flags;
  const bool moveChanged = c.moveChanged, sizeChanged = c.sizeChanged;
  const RECT &oldWindow = c.oldWindow, &oldClient = c.oldClient, &newWindow = c.newWindow,
             &newClient = c.newClient;
  const LRESULT wvr = c.wvr;
  const bool nowVisible = c.nowVisible;
  Window* parent = w->parent;
  const bool inParent = parent && parent->kind == WindowKind::Normal;
  auto invalidateParentArea = [&](const RECT& rectInParentClient) {
    if (!inParent || !IsVisibleChain(parent)) return;
    Region r(rectInParentClient);
    r.Translate(parent->client.Left - parent->window.Left, parent->client.Top - parent->window.Top);
    RedrawInternal(parent, &r, 0x0001 | 0x0004 | 0x0080 /*INVALIDATE|ERASE|ALLCHILDREN*/);
  };
  if (flags & SWP_HIDEWINDOW) {
    ClearUpdateTree(w);
    invalidateParentArea(oldWindow);
  } else if (nowVisible && IsVisibleChain(w)) {
    const UINT all = 0x0001 | 0x0004 | 0x0400 | 0x0080;  // INVALIDATE|ERASE|FRAME|ALLCHILDREN
    if (flags & SWP_SHOWWINDOW) {
      RedrawInternal(w, nullptr, all);
    } else if (child && (moveChanged || sizeChanged || !(flags & SWP_NOZORDER))) {
      if (moveChanged || sizeChanged) invalidateParentArea(oldWindow);
      RedrawInternal(w, nullptr, all);
    } else if (sizeChanged || (flags & SWP_FRAMECHANGED)) {
      const bool redrawAll = (flags & SWP_NOCOPYBITS) || (wvr & WVR_REDRAW) ||
                             (w->cls && (w->cls->style & (CS_HREDRAW | CS_VREDRAW)) &&
                              ((w->cls->style & CS_HREDRAW && newClient.Width() != oldClient.Width()) ||
                               (w->cls->style & CS_VREDRAW && newClient.Height() != oldClient.Height())));
      if (redrawAll || (flags & SWP_FRAMECHANGED)) {
        RedrawInternal(w, nullptr, all);
      } else {
        // The frame, and the newly uncovered part of the client area.
        Region r(RECT{0, 0, newWindow.Width(), newWindow.Height()});
        const RECT kept = RectOffset(oldClient, -oldWindow.Left, -oldWindow.Top);
        const RECT nc = RectOffset(newClient, -newWindow.Left, -newWindow.Top);
        r.Subtract(RectIntersection(kept, nc));
        RedrawInternal(w, &r, all);
      }
    }
  }
}

}  // namespace

BOOL SetWindowPosInternal(Window* w, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  HWND hwnd = w->handle;
  WindowPtr keep = Lookup(hwnd);
  if (!keep || w->kind != WindowKind::Normal) return FALSE;
  const bool child = !w->IsTopLevel();
  const RECT api = ApiRect(w);
  flags = EffectiveFlags(w, api, insertAfter, x, y, cx, cy, flags);
  WINDOWPOS wp{hwnd, insertAfter, x, y, cx, cy, flags};
  if (flags & SWP_NOMOVE) {
    wp.x = api.Left;
    wp.y = api.Top;
  }
  if (flags & SWP_NOSIZE) {
    wp.cx = api.Width();
    wp.cy = api.Height();
  }
  if (!(flags & SWP_NOSENDCHANGING)) {
    Send(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    if (!Lookup(hwnd)) return FALSE;
    flags = wp.flags;
    insertAfter = wp.hwndInsertAfter;
  }
  const bool moveChanged = !(flags & SWP_NOMOVE) && (wp.x != api.Left || wp.y != api.Top);
  const bool sizeChanged = !(flags & SWP_NOSIZE) && (wp.cx != api.Width() || wp.cy != api.Height());
  if (!moveChanged) flags |= SWP_NOMOVE;
  if (!sizeChanged) flags |= SWP_NOSIZE;

  const RECT oldWindow = w->window;
  const RECT oldClient = w->client;
  const RECT oldScreen = ScreenWindowRect(w);
  const RECT newWindow = NewWindowRect(w, wp, moveChanged);
  RECT newClient = oldClient;
  LRESULT wvr = 0;
  if (moveChanged || sizeChanged || (flags & SWP_FRAMECHANGED)) {
    NCCALCSIZE_PARAMS p;
    p.rgrc[0] = newWindow;
    p.rgrc[1] = oldWindow;
    p.rgrc[2] = oldClient;
    p.lppos = &wp;
    wvr = Send(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&p));
    if (!Lookup(hwnd)) return FALSE;
    newClient = p.rgrc[0];
    if (newClient.Right < newClient.Left) newClient.Right = newClient.Left;
    if (newClient.Bottom < newClient.Top) newClient.Bottom = newClient.Top;
  }
  if (newClient.Width() == oldClient.Width() && newClient.Height() == oldClient.Height())
    flags |= SWP_NOCLIENTSIZE;
  if (newClient.Left - newWindow.Left == oldClient.Left - oldWindow.Left &&
      newClient.Top - newWindow.Top == oldClient.Top - oldWindow.Top && !moveChanged)
    flags |= SWP_NOCLIENTMOVE;
  if (newClient.Left == oldClient.Left && newClient.Top == oldClient.Top) flags |= SWP_NOCLIENTMOVE;
  wp.flags = flags;

  {
    std::lock_guard lock(WmMutex());
    w->window = newWindow;
    w->client = newClient;
    if (!(flags & SWP_NOZORDER)) {
      if (!child) {
        if (insertAfter == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
        if (insertAfter == HWND_NOTOPMOST) w->exStyle &= ~WS_EX_TOPMOST;
      }
      ZOrderInsert(w, insertAfter);
      if (!child && !(flags & SWP_NOOWNERZORDER)) BringOwnedAbove(w);
    }
    if (flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW) w->style &= ~WS_VISIBLE;
  }
  ShiftRtlChildren(w, newClient.Width() - oldClient.Width());
  const bool nowVisible = w->Visible();

  if (!child) {
    if (sizeChanged) ResizeSurfaceKeeping(w);
    if (moveChanged || sizeChanged) NotifyMoved(w);
    if (!(flags & SWP_NOZORDER) && (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST))
      if (auto* b = os::GetDisplayBackend()) b->WindowShapeChanged(hwnd);
  }

  if (!(flags & SWP_NOREDRAW)) {
    InvalidateAfterChange(
        w, {oldWindow, oldClient, newWindow, newClient, flags, wvr, moveChanged, sizeChanged, nowVisible});
  }

  if (!Lookup(hwnd)) return TRUE;
  if (!child && !(flags & SWP_NOACTIVATE) && nowVisible && Input().active != hwnd &&
      !(w->exStyle & WS_EX_NOACTIVATE))
    Activate(w, WA_ACTIVE, false);
  if (!Lookup(hwnd)) return TRUE;
  if ((flags & SWP_HIDEWINDOW) && !child) ActivateOtherAfter(w);
  if (!Lookup(hwnd)) return TRUE;
  const bool changed = (flags & (SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_HIDEWINDOW |
                                 SWP_FRAMECHANGED)) != (SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
  if (changed && !(flags & SWP_NOREDRAW) && nowVisible && IsVisibleChain(w))
    RedrawInternal(w, nullptr, 0x0200 /*ERASENOW*/);
  if (!Lookup(hwnd)) return TRUE;
  if (!child && (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))) NotifyShown(w, nowVisible);

  // Nothing changed: no WM_WINDOWPOSCHANGED.
  if ((flags & (SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_HIDEWINDOW |
                SWP_FRAMECHANGED)) != (SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER)) {
    if (moveChanged || sizeChanged) w->needSize = false;
    Send(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
  }
  if (!Lookup(hwnd)) return TRUE;
  if (!child && (moveChanged || sizeChanged) && oldScreen != ScreenWindowRect(w)) CheckDpiChange(w);
  return TRUE;
}

}  // namespace qd::user

namespace qd {
using namespace user;

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  WindowPtr w = Checked(hwnd);
  if (!w || w->kind != WindowKind::Normal) return FALSE;
  flags &= ~(SWP_NOCLIENTSIZE | SWP_NOCLIENTMOVE | SWP_STATECHANGED);
  return SetWindowPosInternal(w.get(), insertAfter, x, y, cx, cy, flags);
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd) {
  return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

namespace {
struct DeferInfo {
  std::vector<WINDOWPOS> items;
};
}  // namespace

HDWP BeginDeferWindowPos(int count) {
  if (count < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto* d = new DeferInfo;
  d->items.reserve(static_cast<size_t>(count));
  return d;
}

HDWP DeferWindowPos(HDWP info, HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  auto* d = static_cast<DeferInfo*>(info);
  if (!d) return nullptr;
  if (!Checked(hwnd)) {
    delete d;
    return nullptr;
  }
  for (auto& item : d->items)
    if (item.hwnd == hwnd) {
      item = {hwnd, insertAfter, x, y, cx, cy, flags};
      return d;
    }
  d->items.push_back({hwnd, insertAfter, x, y, cx, cy, flags});
  return d;
}

BOOL EndDeferWindowPos(HDWP info) {
  auto* d = static_cast<DeferInfo*>(info);
  if (!d) return FALSE;
  std::unique_ptr<DeferInfo> owned(d);
  BOOL ok = TRUE;
  for (auto& item : d->items)
    if (IsWindow(item.hwnd) &&
        !SetWindowPos(item.hwnd, item.hwndInsertAfter, item.x, item.y, item.cx, item.cy, item.flags))
      ok = FALSE;
  return ok;
}

namespace {

RECT MaximizedRect(Window* w) {
  MINMAXINFO mmi{};
  RECT ins = NonClientInsets(w->style, w->exStyle, w->dpi, false);
  RECT scr = ScreenWindowRect(w);
  HMONITOR mon = MonitorFromRect(&scr, 2);
  MONITORINFO mi;
  GetMonitorInfoW(mon, &mi);
  RECT work = mi.rcWork;
  mmi.ptMaxSize = {work.Width() + ins.Left + ins.Right, work.Height() + ins.Top + ins.Bottom};
  if ((w->style & WS_CAPTION) == WS_CAPTION) mmi.ptMaxSize.Y -= 0;
  mmi.ptMaxPosition = {work.Left - ins.Left, work.Top - ins.Top};
  mmi.ptMinTrackSize = {GetSystemMetricsForDpi(34, w->dpi), GetSystemMetricsForDpi(35, w->dpi)};
  mmi.ptMaxTrackSize = {GetSystemMetricsForDpi(59, w->dpi), GetSystemMetricsForDpi(60, w->dpi)};
  Send(w->handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  return {mmi.ptMaxPosition.X, mmi.ptMaxPosition.Y, mmi.ptMaxPosition.X + mmi.ptMaxSize.X,
          mmi.ptMaxPosition.Y + mmi.ptMaxSize.Y};
}

// Minimise, maximise or restore; returns false when a CBT hook refused.
bool ChangeState(Window* w, int cmd, bool show, bool activate) {
  HWND hwnd = w->handle;
  if (HasHooks(WH_CBT) && CallHooks(WH_CBT, HCBT_MINMAX, reinterpret_cast<WPARAM>(hwnd), cmd)) return false;
  if (!Lookup(hwnd)) return false;
  const bool minimize =
      cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED || cmd == SW_SHOWMINNOACTIVE || cmd == SW_FORCEMINIMIZE;
  const bool maximize = cmd == SW_SHOWMAXIMIZED;
  if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) w->normalRect = ApiRect(w);
  RECT target;
  UINT flags = SWP_NOZORDER | SWP_FRAMECHANGED | SWP_STATECHANGED | (show ? SWP_SHOWWINDOW : 0);
  if (minimize) {
    w->style = (w->style & ~WS_MAXIMIZE) | WS_MINIMIZE;
    int mw = GetSystemMetricsForDpi(57, w->dpi), mh = GetSystemMetricsForDpi(58, w->dpi);
    target = {-32000, -32000, -32000 + mw, -32000 + mh};
    flags |= SWP_NOACTIVATE;
  } else if (maximize) {
    w->style = (w->style & ~WS_MINIMIZE) | WS_MAXIMIZE;
    target = MaximizedRect(w);
    if (!activate) flags |= SWP_NOACTIVATE;
  } else {
    w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
    target = w->normalRect;
    if (!activate) flags |= SWP_NOACTIVATE;
  }
  SetWindowPosInternal(w, nullptr, target.Left, target.Top, target.Width(), target.Height(), flags);
  if (minimize && Lookup(hwnd) && Input().active == hwnd) ActivateOtherAfter(w);
  return true;
}

}  // namespace

namespace {
void SendPendingSize(Window* w) {
  if (!w->needSize || !Lookup(w->handle)) return;
  w->needSize = false;
  HWND h = w->handle;
  WPARAM state = (w->style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                 : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                            : SIZE_RESTORED;
  Send(h, WM_SIZE, state, MAKELPARAM(w->client.Width(), w->client.Height()));
  if (!Lookup(h)) return;
  Send(h, WM_MOVE, 0, MAKELPARAM(w->client.Left, w->client.Top));
}
}  // namespace

BOOL ShowWindow(HWND hwnd, int cmd) {
  WindowPtr w = Checked(hwnd);
  if (!w || w->kind != WindowKind::Normal) return FALSE;
  const BOOL wasVisible = w->Visible() ? TRUE : FALSE;
  const bool child = !w->IsTopLevel();
  if (cmd == SW_HIDE) {
    if (!wasVisible) return FALSE;
    Send(hwnd, WM_SHOWWINDOW, FALSE, 0);
    if (!Lookup(hwnd)) return wasVisible;
    SetWindowPosInternal(w.get(), nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return wasVisible;
  }
  const bool activate = !child && cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE && cmd != SW_SHOWMINNOACTIVE &&
                        cmd != SW_MINIMIZE && cmd != SW_FORCEMINIMIZE && !(w->exStyle & WS_EX_NOACTIVATE);
  int stateCmd = 0;
  switch (cmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
      if (!(w->style & WS_MINIMIZE)) stateCmd = cmd;
      break;
    case SW_SHOWMAXIMIZED:
      if (!(w->style & WS_MAXIMIZE)) stateCmd = cmd;
      break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
    case SW_SHOWNOACTIVATE:
      if (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) stateCmd = SW_RESTORE;
      break;
    default:
      break;
  }
  if (!wasVisible) {
    Send(hwnd, WM_SHOWWINDOW, TRUE, 0);
    if (!Lookup(hwnd)) return wasVisible;
  }
  if (stateCmd) {
    ChangeState(w.get(), stateCmd, !wasVisible, activate);
    if (Lookup(hwnd)) SendPendingSize(w.get());
    return wasVisible;
  }
  UINT flags = SWP_NOMOVE | SWP_NOSIZE;
  if (!wasVisible) flags |= SWP_SHOWWINDOW;
  if (child || !activate) flags |= SWP_NOACTIVATE | SWP_NOZORDER;
  if (wasVisible && (child || !activate)) return wasVisible;
  SetWindowPosInternal(w.get(), HWND_TOP, 0, 0, 0, 0, flags);
  SendPendingSize(w.get());
  return wasVisible;
}

BOOL ShowWindowAsync(HWND hwnd, int cmd) {
  return ShowWindow(hwnd, cmd);
}

BOOL ShowOwnedPopups(HWND owner, BOOL show) {
  WindowPtr o = Checked(owner);
  if (!o) return FALSE;
  for (auto& w : TopLevelWindows())
    if (w->owner == o.get() && Lookup(w->handle)) {
      if (!show && w->Visible())
        ShowWindow(w->handle, SW_HIDE);
      else if (show && !w->Visible())
        ShowWindow(w->handle, SW_SHOWNA);
    }
  return TRUE;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
  WindowPtr w = Checked(hwnd);
  if (!w || !rect) return FALSE;
  *rect = ScreenWindowRect(w.get());
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
  WindowPtr w = Checked(hwnd);
  if (!w || !rect) return FALSE;
  *rect = {0, 0, w->client.Width(), w->client.Height()};
  return TRUE;
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* p) {
  WindowPtr w = Checked(hwnd);
  if (!w || !p) return FALSE;
  p->flags = 0;
  p->showCmd = !w->Visible()              ? SW_HIDE
               : (w->style & WS_MINIMIZE) ? SW_SHOWMINIMIZED
               : (w->style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                                          : SW_SHOWNORMAL;
  p->ptMinPosition = {-1, -1};
  p->ptMaxPosition = {-1, -1};
  p->rcNormalPosition = (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) ? w->normalRect : ApiRect(w.get());
  if (w->IsTopLevel()) {
    // Normal positions of top-level windows are in work-area coordinates.
    RECT r = ScreenWindowRect(w.get());
    MONITORINFO mi;
    GetMonitorInfoW(MonitorFromRect(&r, 2), &mi);
    int dx = mi.rcWork.Left - mi.rcMonitor.Left, dy = mi.rcWork.Top - mi.rcMonitor.Top;
    RECT& n = p->rcNormalPosition;
    n = {n.Left - dx, n.Top - dy, n.Right - dx, n.Bottom - dy};
  }
  return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* p) {
  WindowPtr w = Checked(hwnd);
  if (!w || !p) return FALSE;
  RECT n = p->rcNormalPosition;
  if (w->IsTopLevel()) {
    RECT r = n;
    MONITORINFO mi;
    GetMonitorInfoW(MonitorFromRect(&r, 2), &mi);
    int dx = mi.rcWork.Left - mi.rcMonitor.Left, dy = mi.rcWork.Top - mi.rcMonitor.Top;
    n = {n.Left + dx, n.Top + dy, n.Right + dx, n.Bottom + dy};
  }
  if (w->style & (WS_MINIMIZE | WS_MAXIMIZE))
    w->normalRect = n;
  else
    SetWindowPos(hwnd, nullptr, n.Left, n.Top, n.Width(), n.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(hwnd, static_cast<int>(p->showCmd));
  return TRUE;
}

BOOL AdjustWindowRectExForDpi(LPRECT rect, DWORD style, BOOL, DWORD exStyle, UINT dpi) {
  if (!rect) return FALSE;
  RECT ins = NonClientInsets(style, exStyle, dpi, false);
  rect->Left -= ins.Left;
  rect->Top -= ins.Top;
  rect->Right += ins.Right;
  rect->Bottom += ins.Bottom;
  return TRUE;
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
  return AdjustWindowRectExForDpi(rect, style, menu, exStyle, GetDpiForSystem());
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) {
  return AdjustWindowRectEx(rect, style, menu, 0);
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point) {
  WindowPtr w = Checked(hwnd);
  if (!w || !point) return FALSE;
  *point = ClientToScreenPoint(w.get(), *point);
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
  WindowPtr w = Checked(hwnd);
  if (!w || !point) return FALSE;
  *point = ScreenToClientPoint(w.get(), *point);
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  WindowPtr f = from ? Checked(from) : WindowPtr();
  WindowPtr t = to ? Checked(to) : WindowPtr();
  if ((from && !f) || (to && !t) || !points) return 0;
  const bool mirrored = (f && f->Rtl()) != (t && t->Rtl());
  for (UINT i = 0; i < count; ++i) {
    POINT p = points[i];
    if (f) p = ClientToScreenPoint(f.get(), p);
    if (t) p = ScreenToClientPoint(t.get(), p);
    points[i] = p;
  }
  // Two points are a rectangle: keep left <= right after mirroring.
  if (mirrored && count == 2 && points[0].X > points[1].X) std::swap(points[0].X, points[1].X);
  POINT o0{0, 0};
  if (f) o0 = ClientToScreenPoint(f.get(), o0);
  if (t) o0 = ScreenToClientPoint(t.get(), o0);
  return MAKELPARAM(o0.X, o0.Y);
}

HWND WindowFromPoint(POINT point) {
  Window* w = HitTestPoint(point, true, nullptr);
  return w ? w->handle : nullptr;
}

HWND ChildWindowFromPointEx(HWND parent, POINT point, UINT flags) {
  WindowPtr p = Checked(parent);
  if (!p) return nullptr;
  RECT c{0, 0, p->client.Width(), p->client.Height()};
  if (p->kind == WindowKind::Normal &&
      (point.X < c.Left || point.X >= c.Right || point.Y < c.Top || point.Y >= c.Bottom))
    return nullptr;
  POINT s = p->kind == WindowKind::Normal ? ClientToScreenPoint(p.get(), point) : point;
  std::lock_guard lock(WmMutex());
  for (Window* ch : p->children) {
    if ((flags & CWP_SKIPINVISIBLE) && !ch->Visible()) continue;
    if ((flags & CWP_SKIPDISABLED) && !ch->Enabled()) continue;
    if ((flags & CWP_SKIPTRANSPARENT) && (ch->exStyle & WS_EX_TRANSPARENT)) continue;
    if (ContainsScreenPoint(ch, s)) return ch->handle;
  }
  return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT point) {
  return ChildWindowFromPointEx(parent, point, CWP_ALL);
}

HWND RealChildWindowFromPoint(HWND parent, POINT point) {
  return ChildWindowFromPointEx(parent, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
}

}  // namespace qd
