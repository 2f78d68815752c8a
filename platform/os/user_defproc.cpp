// DefWindowProcW: the default handling of window messages.
#include <algorithm>
#include <optional>

#include "platform/os/user_display.h"
#include "platform/os/user_internal.h"

namespace qd::user {
namespace {

// Parts of the non-client area, in window coordinates.
struct FrameLayout {
  RECT window;   // (0,0,w,h)
  RECT client;   // client area
  RECT caption;  // empty without a caption
  RECT close, maxButton, minButton, sysMenu;
  RECT vscroll, hscroll, sizeBox;
  int border = 0;  // outer frame width
};

FrameLayout Layout(const Window* w) {
  FrameLayout f{};
  const UINT dpi = WindowDpi(w);
  f.window = {0, 0, w->window.Width(), w->window.Height()};
  f.client = {w->client.Left - w->window.Left, w->client.Top - w->window.Top,
              w->client.Right - w->window.Left, w->client.Bottom - w->window.Top};
  RECT frame{};
  if (w->style & WS_THICKFRAME) {
    frame = NonClientInsets(WS_THICKFRAME, 0, dpi, false);
  } else if ((w->style & WS_CAPTION) == WS_CAPTION || (w->style & WS_DLGFRAME) ||
             (w->exStyle & WS_EX_DLGMODALFRAME)) {
    frame = NonClientInsets(WS_DLGFRAME, 0, dpi, false);
  } else if (w->style & WS_BORDER) {
    frame = NonClientInsets(WS_BORDER, 0, dpi, false);
  }
  f.border = frame.Left;
  if ((w->style & WS_CAPTION) == WS_CAPTION) {
    int ch = GetSystemMetricsForDpi((w->exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION, dpi);
    f.caption = {frame.Left, frame.Top, f.window.Right - frame.Right, frame.Top + ch};
    int bw = GetSystemMetricsForDpi((w->exStyle & WS_EX_TOOLWINDOW) ? SM_CXSMSIZE : SM_CXSIZE, dpi);
    if (w->style & WS_SYSMENU) {
      f.close = {f.caption.Right - bw, f.caption.Top, f.caption.Right, f.caption.Bottom};
      int right = f.close.Left;
      if ((w->style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) && !(w->exStyle & WS_EX_TOOLWINDOW)) {
        f.maxButton = {right - bw, f.caption.Top, right, f.caption.Bottom};
        f.minButton = {right - 2 * bw, f.caption.Top, right - bw, f.caption.Bottom};
      }
      if (!(w->exStyle & WS_EX_TOOLWINDOW) && !(w->exStyle & WS_EX_DLGMODALFRAME))
        f.sysMenu = {f.caption.Left, f.caption.Top, f.caption.Left + ch, f.caption.Bottom};
    }
  }
  const bool left = ((w->exStyle & WS_EX_LEFTSCROLLBAR) != 0) != w->Rtl();
  const int sx = GetSystemMetricsForDpi(SM_CXVSCROLL, dpi), sy = GetSystemMetricsForDpi(SM_CYHSCROLL, dpi);
  if (w->style & WS_VSCROLL)
    f.vscroll = left ? RECT{f.client.Left - sx, f.client.Top, f.client.Left, f.client.Bottom}
                     : RECT{f.client.Right, f.client.Top, f.client.Right + sx, f.client.Bottom};
  if (w->style & WS_HSCROLL)
    f.hscroll = {f.client.Left, f.client.Bottom, f.client.Right, f.client.Bottom + sy};
  if ((w->style & WS_VSCROLL) && (w->style & WS_HSCROLL))
    f.sizeBox = {f.vscroll.Left, f.hscroll.Top, f.vscroll.Right, f.hscroll.Bottom};
  return f;
}

bool In(const RECT& r, POINT p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

LRESULT HitTest(Window* w, POINT screen) {
  RECT wr = ScreenWindowRect(w);
  if (!In(wr, screen)) return HTNOWHERE;
  POINT p{screen.X - wr.Left, screen.Y - wr.Top};
  if (w->windowRegion && !w->windowRegion->Contains(p)) return HTNOWHERE;
  if (w->style & WS_MINIMIZE) return HTCAPTION;
  FrameLayout f = Layout(w);
  if (In(f.client, p)) return HTCLIENT;
  if (In(f.sizeBox, p)) return (w->style & WS_THICKFRAME) ? HTBOTTOMRIGHT : HTSIZE;
  if (In(f.vscroll, p)) return HTVSCROLL;
  if (In(f.hscroll, p)) return HTHSCROLL;
  if (In(f.caption, p)) {
    if (In(f.close, p)) return HTCLOSE;
    if (In(f.maxButton, p)) return HTMAXBUTTON;
    if (In(f.minButton, p)) return HTMINBUTTON;
    if (In(f.sysMenu, p)) return HTSYSMENU;
    return HTCAPTION;
  }
  if ((w->style & WS_THICKFRAME) && !(w->style & WS_MAXIMIZE)) {
    const int b = f.border;
    const int corner = GetSystemMetricsForDpi(SM_CYCAPTION, WindowDpi(w)) + b;
    const bool leftEdge = p.X < b, rightEdge = p.X >= f.window.Right - b;
    const bool topEdge = p.Y < b, bottomEdge = p.Y >= f.window.Bottom - b;
    const bool nearLeft = p.X < corner, nearRight = p.X >= f.window.Right - corner;
    const bool nearTop = p.Y < corner, nearBottom = p.Y >= f.window.Bottom - corner;
    if (topEdge) return nearLeft ? HTTOPLEFT : nearRight ? HTTOPRIGHT : HTTOP;
    if (bottomEdge) return nearLeft ? HTBOTTOMLEFT : nearRight ? HTBOTTOMRIGHT : HTBOTTOM;
    if (leftEdge) return nearTop ? HTTOPLEFT : nearBottom ? HTBOTTOMLEFT : HTLEFT;
    if (rightEdge) return nearTop ? HTTOPRIGHT : nearBottom ? HTBOTTOMRIGHT : HTRIGHT;
  }
  return HTBORDER;
}

void CalcClient(Window* w, RECT& r) {
  if (w->style & WS_MINIMIZE) {
    r = {r.Left, r.Top, r.Left, r.Top};
    return;
  }
  RECT ins = NonClientInsets(w->style, w->exStyle, WindowDpi(w), true);
  r.Left += ins.Left;
  r.Top += ins.Top;
  r.Right -= ins.Right;
  r.Bottom -= ins.Bottom;
  if (r.Right < r.Left) r.Right = r.Left;
  if (r.Bottom < r.Top) r.Bottom = r.Top;
}

LPCWSTR CursorForHit(LRESULT hit) {
  switch (hit) {
    case HTLEFT:
    case HTRIGHT:
      return IDC_SIZEWE;
    case HTTOP:
    case HTBOTTOM:
      return IDC_SIZENS;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
      return IDC_SIZENWSE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
      return IDC_SIZENESW;
    default:
      return IDC_ARROW;
  }
}

}  // namespace

LRESULT HitTestDefault(Window* w, POINT screen) {
  return HitTest(w, screen);
}
RECT CaptionRect(Window* w, RECT* closeButton) {
  FrameLayout f = Layout(w);
  if (closeButton) *closeButton = f.close;
  return f.caption;
}

}  // namespace qd::user

namespace qd {
using namespace user;

namespace {

// The frame: its size, hit testing, painting, its buttons and the system commands.
std::optional<LRESULT> DefNonClient(const WindowPtr& w, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCCREATE:
      return TRUE;
    case WM_NCCALCSIZE: {
      if (!lParam) return 0;
      if (wParam)
        CalcClient(w.get(), reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]);
      else
        CalcClient(w.get(), *reinterpret_cast<RECT*>(lParam));
      return 0;
    }
    case WM_NCHITTEST:
      return HitTest(w.get(), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCPAINT:
      PaintNonClient(w.get(), reinterpret_cast<HRGN>(wParam), nullptr);
      return 0;
    case WM_NCACTIVATE:
      w->ncActive = wParam != FALSE;
      if ((w->style & WS_CAPTION) == WS_CAPTION && lParam != -1) InvalidateFrame(w.get());
      return TRUE;
    case WM_NCLBUTTONDOWN:
      if (wParam == static_cast<WPARAM>(HTVSCROLL) || wParam == static_cast<WPARAM>(HTHSCROLL))
        TrackScrollBar(w.get(), wParam == static_cast<WPARAM>(HTVSCROLL) ? SB_VERT : SB_HORZ,
                       {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      // The caption moves the window, the frame's edges and corners size it.
      if (wParam == static_cast<WPARAM>(HTCAPTION))
        Send(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
      else if (wParam >= static_cast<WPARAM>(HTLEFT) && wParam <= static_cast<WPARAM>(HTBOTTOMRIGHT))
        Send(hwnd, WM_SYSCOMMAND, SC_SIZE + (wParam - HTLEFT + 1), lParam);
      return 0;
    case WM_NCLBUTTONUP:
      if (wParam == static_cast<WPARAM>(HTCLOSE)) Send(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
      if (wParam == static_cast<WPARAM>(HTMINBUTTON)) Send(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, lParam);
      if (wParam == static_cast<WPARAM>(HTMAXBUTTON))
        Send(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, lParam);
      return 0;
    case WM_NCLBUTTONDBLCLK:
      // A quick second click on a scroll bar is another click.
      if (wParam == static_cast<WPARAM>(HTVSCROLL) || wParam == static_cast<WPARAM>(HTHSCROLL)) {
        TrackScrollBar(w.get(), wParam == static_cast<WPARAM>(HTVSCROLL) ? SB_VERT : SB_HORZ,
                       {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
      }
      if (wParam == static_cast<WPARAM>(HTCAPTION) && (w->style & WS_MAXIMIZEBOX))
        Send(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, lParam);
      if (wParam == static_cast<WPARAM>(HTSYSMENU)) Send(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
      return 0;
    case WM_NCRBUTTONUP:
      Send(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), lParam);
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_CLOSE:
          Send(hwnd, WM_CLOSE, 0, 0);
          break;
        case SC_MINIMIZE:
          ShowWindow(hwnd, SW_MINIMIZE);
          break;
        case SC_MAXIMIZE:
          ShowWindow(hwnd, SW_MAXIMIZE);
          break;
        case SC_RESTORE:
          ShowWindow(hwnd, SW_RESTORE);
          break;
        case SC_MOVE:
        case SC_SIZE:
          MoveSizeLoop(hwnd, wParam, lParam);
          break;
        default:
          break;
      }
      return 0;
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    default:
      return std::nullopt;
  }
}

// Background, painting, printing, text, icons and redrawing.
std::optional<LRESULT> DefContent(const WindowPtr& w, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return EraseBackground(w.get(), reinterpret_cast<HDC>(wParam));
    case WM_ICONERASEBKGND:
      return EraseBackground(w.get(), reinterpret_cast<HDC>(wParam));
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (BeginPaint(hwnd, &ps)) EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_PRINT:
      PrintInto(w.get(), reinterpret_cast<HDC>(wParam), lParam);
      return 0;
    case WM_PRINTCLIENT:
      return 0;
    case WM_SETTEXT: {
      auto text = reinterpret_cast<LPCWSTR>(lParam);
      w->text = text ? String(text) : String();
      if (w->IsTopLevel()) NotifyTitle(w.get());
      if ((w->style & WS_CAPTION) == WS_CAPTION) InvalidateFrame(w.get());
      return TRUE;
    }
    case WM_GETTEXT: {
      auto* buffer = reinterpret_cast<LPWSTR>(lParam);
      if (!buffer || wParam == 0) return 0;
      size_t n = std::min<size_t>(w->text.size(), wParam - 1);
      std::copy_n(w->text.data(), n, buffer);
      buffer[n] = 0;
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->text.size());
    case WM_SETREDRAW:
      // Redrawing off hides the window from painting without hiding it.
      if (wParam)
        w->style |= WS_VISIBLE;
      else
        w->style &= ~WS_VISIBLE;
      return 0;
    case WM_SETICON: {
      HICON old = wParam == ICON_BIG ? w->iconBig : w->iconSmall;
      if (wParam == ICON_BIG)
        w->iconBig = reinterpret_cast<HICON>(lParam);
      else
        w->iconSmall = reinterpret_cast<HICON>(lParam);
      if (w->IsTopLevel())
        if (auto* b = os::GetDisplayBackend())
          b->WindowIconChanged(hwnd, w->iconBig ? w->iconBig : w->iconSmall);
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETICON:
      return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? w->iconBig
                                       : w->iconSmall     ? w->iconSmall
                                                          : w->iconBig);
    case WM_QUERYOPEN:
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_GETDLGCODE:
      return 0;
    default:
      return std::nullopt;
  }
}

// Cursor, wheel, context menu, keys, mouse activation, activation and capture.
std::optional<LRESULT> DefInput(const WindowPtr& w, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETCURSOR: {
      if (w->IsChild() && Send(w->parent->handle, WM_SETCURSOR, wParam, lParam)) return TRUE;
      if (reinterpret_cast<HWND>(wParam) != hwnd) return FALSE;
      const LRESULT hit = static_cast<int16_t>(LOWORD(lParam));
      if (hit == HTCLIENT) {
        if (w->cls && w->cls->cursor) {
          SetCursor(w->cls->cursor);
          return TRUE;
        }
        return FALSE;
      }
      if (hit == HTERROR) {
        UINT mouse = HIWORD(lParam);
        if (mouse == WM_LBUTTONDOWN || mouse == WM_RBUTTONDOWN || mouse == WM_MBUTTONDOWN) MessageBeep(0);
        return FALSE;
      }
      SetCursor(LoadCursorW(nullptr, CursorForHit(hit)));
      return TRUE;
    }
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      // Unhandled wheel messages go up the parent chain.
      if (w->IsChild()) return Send(w->parent->handle, msg, wParam, lParam);
      return 0;
    case WM_CONTEXTMENU:
      if (w->IsChild()) return Send(w->parent->handle, msg, wParam, lParam);
      return 0;
    case WM_RBUTTONUP: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      p = ClientToScreenPoint(w.get(), p);
      Send(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(p.X, p.Y));
      return 0;
    }
    case WM_KEYUP:
      if (wParam == static_cast<WPARAM>(VK_APPS))
        Send(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(-1, -1));
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == static_cast<WPARAM>(VK_F10) && (GetKeyState(VK_SHIFT) & 0x8000)) {
        Send(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(-1, -1));
      } else if (wParam == static_cast<WPARAM>(VK_F4) && (lParam & (LPARAM{1} << 29))) {
        Window* top = TopLevelOf(w.get());
        if (top) Send(top->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      return 0;
    case WM_MOUSEACTIVATE:
      if (w->IsChild()) {
        LRESULT r = Send(w->parent->handle, msg, wParam, lParam);
        if (r) return r;
      }
      return MA_ACTIVATE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
        // The focus goes back to where it was in this window, else to the window.
        HWND restore = hwnd;
        if (WindowPtr f = Lookup(w->lastFocus);
            f && IsChild(hwnd, f->handle) && IsWindowVisible(f->handle) && IsWindowEnabled(f->handle))
          restore = f->handle;
        SetFocus(restore);
      }
      return 0;
    case WM_CANCELMODE:
      if (Input().capture == hwnd) ReleaseCapture();
      return 0;
    default:
      return std::nullopt;
  }
}

// Size limits while moving, WM_MOVE and WM_SIZE after it.
std::optional<LRESULT> DefPosition(const WindowPtr& w, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_WINDOWPOSCHANGING: {
      auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
      if (wp && !(wp->flags & SWP_NOSIZE) &&
          ((w->style & WS_THICKFRAME) || ((w->style & WS_CAPTION) == WS_CAPTION)) &&
          !(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) {
        MINMAXINFO mmi{};
        mmi.ptMinTrackSize = {GetSystemMetricsForDpi(SM_CXMINTRACK, WindowDpi(w.get())),
                              GetSystemMetricsForDpi(SM_CYMINTRACK, WindowDpi(w.get()))};
        mmi.ptMaxTrackSize = {GetSystemMetricsForDpi(SM_CXMAXTRACK, WindowDpi(w.get())),
                              GetSystemMetricsForDpi(SM_CYMAXTRACK, WindowDpi(w.get()))};
        mmi.ptMaxSize = mmi.ptMaxTrackSize;
        Send(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        if (w->IsTopLevel() || (w->style & WS_THICKFRAME)) {
          wp->cx =
              std::clamp(wp->cx, std::min(mmi.ptMinTrackSize.X, mmi.ptMaxTrackSize.X), mmi.ptMaxTrackSize.X);
          wp->cy =
              std::clamp(wp->cy, std::min(mmi.ptMinTrackSize.Y, mmi.ptMaxTrackSize.Y), mmi.ptMaxTrackSize.Y);
        }
      }
      return 0;
    }
    case WM_WINDOWPOSCHANGED: {
      auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (!wp) return 0;
      if (!(wp->flags & SWP_NOCLIENTMOVE)) {
        POINT origin{w->client.Left, w->client.Top};
        if (w->IsChild() && w->parent->Rtl()) origin.X = w->parent->client.Width() - w->client.Right;
        Send(hwnd, WM_MOVE, 0, MAKELPARAM(origin.X, origin.Y));
      }
      if (!(wp->flags & SWP_NOCLIENTSIZE)) {
        WindowPtr again = Lookup(hwnd);
        if (!again) return 0;
        WPARAM state = (again->style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                       : (again->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                                      : SIZE_RESTORED;
        Send(hwnd, WM_SIZE, state, MAKELPARAM(again->client.Width(), again->client.Height()));
      }
      return 0;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace

LRESULT DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowPtr w = Lookup(hwnd);
  if (!w) return 0;
  for (auto handler : {DefNonClient, DefContent, DefInput, DefPosition})
    if (std::optional<LRESULT> result = handler(w, hwnd, msg, wParam, lParam)) return *result;
  return 0;  // also WM_SHOWWINDOW, WM_GETMINMAXINFO and WM_DPICHANGED: nothing to do
}

}  // namespace qd
