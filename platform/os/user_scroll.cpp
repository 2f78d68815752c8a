// The scroll bars of windows (WS_VSCROLL / WS_HSCROLL): state, geometry, drawing and the
// mouse tracking loop that sends WM_VSCROLL / WM_HSCROLL.
#include <algorithm>

#include "platform/base/scopeexit.h"
#include "platform/base/mathutil.h"
#include "platform/os/user_internal.h"
#include "platform/os/uxtheme.h"

namespace qd::user {
namespace {

constexpr UINT_PTR kRepeatTimer = 0xFFFA;

// The bar part held down by the tracking loop (one at a time: it holds the capture), and
// whether the mouse is on it now.
struct Held {
  HWND hwnd = nullptr;
  int bar = -1;
  int part = -1;
  bool over = false;
};
Held& HeldPart() {
  static Held h;
  return h;
}
bool IsHeld(const Window* w, int bar, int part) {
  const Held& h = HeldPart();
  return h.hwnd == w->handle && h.bar == bar && h.part == part && h.over;
}

ScrollState& State(Window* w, int bar) {
  return bar == SB_VERT ? w->vscroll : w->hscroll;
}
DWORD StyleBit(int bar) {
  return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
}

// The bar's rectangle in window coordinates (empty when the window has no such bar).
RECT BarRect(const Window* w, int bar) {
  if (!(w->style & StyleBit(bar))) return {};
  const UINT dpi = WindowDpi(w);
  const RECT c{w->client.Left - w->window.Left, w->client.Top - w->window.Top,
               w->client.Right - w->window.Left, w->client.Bottom - w->window.Top};
  const bool left = ((w->exStyle & WS_EX_LEFTSCROLLBAR) != 0) != w->Rtl();
  if (bar == SB_VERT) {
    const int sx = GetSystemMetricsForDpi(SM_CXVSCROLL, dpi);
    return left ? RECT{c.Left - sx, c.Top, c.Left, c.Bottom} : RECT{c.Right, c.Top, c.Right + sx, c.Bottom};
  }
  return {c.Left, c.Bottom, c.Right, c.Bottom + GetSystemMetricsForDpi(SM_CYHSCROLL, dpi)};
}

bool Needed(const ScrollState& s) {
  return s.page ? static_cast<int64_t>(s.page) <= static_cast<int64_t>(s.max) - s.min : s.max > s.min;
}

bool Disabled(const Window* w, const ScrollState& s) {
  return s.autoDisabled || (s.disabledArrows & ESB_DISABLE_BOTH) == ESB_DISABLE_BOTH || !w->Enabled();
}

// Along the bar: arrow size, thumb start and end (0,0 without a thumb), bar length.
struct Geometry {
  int length = 0;
  int arrow = 0;
  int thumbStart = 0;
  int thumbEnd = 0;
};

Geometry Measure(const Window* w, int bar, const ScrollState& s) {
  Geometry g;
  RECT r = BarRect(w, bar);
  const UINT dpi = WindowDpi(w);
  g.length = bar == SB_VERT ? r.Height() : r.Width();
  g.arrow = GetSystemMetricsForDpi(bar == SB_VERT ? SM_CYVSCROLL : SM_CXHSCROLL, dpi);
  if (g.length < 2 * g.arrow) {
    g.arrow = g.length / 2;
    return g;
  }
  if (Disabled(w, s)) return g;
  const int track = g.length - 2 * g.arrow;
  const int64_t range = static_cast<int64_t>(s.max) - s.min + 1;
  int thumb = s.page ? static_cast<int>(static_cast<int64_t>(track) * s.page / std::max<int64_t>(range, 1))
                     : GetSystemMetricsForDpi(bar == SB_VERT ? SM_CYVTHUMB : SM_CXHTHUMB, dpi);
  thumb = std::max(thumb, MulDiv(8, static_cast<int32_t>(dpi), 96));
  if (thumb > track) return g;
  const int64_t posRange =
      static_cast<int64_t>(s.max) - s.min - std::max<int64_t>(static_cast<int64_t>(s.page) - 1, 0);
  const int pos = s.tracking ? s.trackPos : s.pos;
  const int64_t offset =
      posRange > 0 ? (static_cast<int64_t>(track - thumb) * (pos - s.min) + posRange / 2) / posRange : 0;
  g.thumbStart = g.arrow + static_cast<int>(std::clamp<int64_t>(offset, 0, track - thumb));
  g.thumbEnd = g.thumbStart + thumb;
  return g;
}

void Clamp(ScrollState& s) {
  if (s.max < s.min) s.max = s.min;
  const int64_t range = static_cast<int64_t>(s.max) - s.min + 1;
  if (s.page > range) s.page = static_cast<UINT>(range);
  const int64_t maxPos = static_cast<int64_t>(s.max) - std::max<int64_t>(static_cast<int64_t>(s.page) - 1, 0);
  s.pos = static_cast<int>(std::clamp<int64_t>(s.pos, s.min, std::max<int64_t>(maxPos, s.min)));
}

void FrameChanged(HWND hwnd) {
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// Which part of the bar a point (along the bar, from its start) hits: SB_LINEUP, SB_PAGEUP,
// SB_THUMBTRACK, SB_PAGEDOWN, SB_LINEDOWN, or -1.
int PartAt(const Geometry& g, int along) {
  if (along < 0 || along >= g.length) return -1;
  if (along < g.arrow) return SB_LINEUP;
  if (along >= g.length - g.arrow) return SB_LINEDOWN;
  if (g.thumbEnd == 0) return -1;
  if (along < g.thumbStart) return SB_PAGEUP;
  if (along >= g.thumbEnd) return SB_PAGEDOWN;
  return SB_THUMBTRACK;
}

int Along(const Window* w, int bar, POINT screen) {
  RECT r = BarRect(w, bar);
  RECT wr = ScreenWindowRect(w);
  return bar == SB_VERT ? screen.Y - (wr.Top + r.Top) : screen.X - (wr.Left + r.Left);
}

// While the thumb is dragged, a mouse far from the bar (8 bar widths across it, 2 beyond its
// ends) puts the thumb back where it started; coming back resumes the drag.
bool InTrackingZone(const Window* w, int bar, POINT screen) {
  RECT r = BarRect(w, bar);
  const RECT wr = ScreenWindowRect(w);
  r = {r.Left + wr.Left, r.Top + wr.Top, r.Right + wr.Left, r.Bottom + wr.Top};
  const bool vert = bar == SB_VERT;
  const int thick = vert ? r.Width() : r.Height();
  const int across = 8 * thick, along = 2 * thick;
  if (vert)
    return screen.X >= r.Left - across && screen.X < r.Right + across && screen.Y >= r.Top - along &&
           screen.Y < r.Bottom + along;
  return screen.Y >= r.Top - across && screen.Y < r.Bottom + across && screen.X >= r.Left - along &&
         screen.X < r.Right + along;
}

}  // namespace

namespace {

// The bar's parts through the visual-styles engine.
void DrawThemedBar(HTHEME theme, HDC dc, const RECT& r, bool vert, const Geometry& g, bool off,
                   UINT disabledArrows, bool held1, bool held2, bool heldThumb) {
  const RECT a1 =
      vert ? RECT{r.Left, r.Top, r.Right, r.Top + g.arrow} : RECT{r.Left, r.Top, r.Left + g.arrow, r.Bottom};
  const RECT a2 = vert ? RECT{r.Left, r.Bottom - g.arrow, r.Right, r.Bottom}
                       : RECT{r.Right - g.arrow, r.Top, r.Right, r.Bottom};
  const int trackStart = g.thumbEnd > 0 ? g.thumbStart : g.arrow;
  const int trackEnd = g.thumbEnd > 0 ? g.thumbEnd : g.arrow;
  auto span = [&](int from, int to) {
    return vert ? RECT{r.Left, r.Top + from, r.Right, r.Top + to}
                : RECT{r.Left + from, r.Top, r.Left + to, r.Bottom};
  };
  const int trackState = off ? SCRBS_DISABLED : SCRBS_NORMAL;
  const RECT upper = span(g.arrow, trackStart), lower = span(trackEnd, g.length - g.arrow);
  if (!upper.IsEmpty())
    DrawThemeBackground(theme, dc, vert ? SBP_UPPERTRACKVERT : SBP_UPPERTRACKHORZ, trackState, &upper,
                        nullptr);
  if (!lower.IsEmpty())
    DrawThemeBackground(theme, dc, vert ? SBP_LOWERTRACKVERT : SBP_LOWERTRACKHORZ, trackState, &lower,
                        nullptr);
  if (g.arrow > 0) {
    // The four states of each arrow follow one another: normal, hot, pressed, disabled.
    auto arrowState = [&](int first, bool held, bool disabled) {
      return first + (disabled ? 3 : held ? 2 : 0);
    };
    const int s1 =
        arrowState(vert ? ABS_UPNORMAL : ABS_LEFTNORMAL, held1, off || (disabledArrows & ESB_DISABLE_UP));
    const int s2 = arrowState(vert ? ABS_DOWNNORMAL : ABS_RIGHTNORMAL, held2,
                              off || (disabledArrows & ESB_DISABLE_DOWN));
    DrawThemeBackground(theme, dc, SBP_ARROWBTN, s1, &a1, nullptr);
    DrawThemeBackground(theme, dc, SBP_ARROWBTN, s2, &a2, nullptr);
  }
  if (g.thumbEnd > 0) {
    const RECT t = span(g.thumbStart, g.thumbEnd);
    const int state = off ? SCRBS_DISABLED : heldThumb ? SCRBS_PRESSED : SCRBS_NORMAL;
    // The thumb part need not cover its rectangle: the track lies under it.
    DrawThemeBackground(theme, dc, vert ? SBP_UPPERTRACKVERT : SBP_UPPERTRACKHORZ, trackState, &t, nullptr);
    DrawThemeBackground(theme, dc, vert ? SBP_THUMBBTNVERT : SBP_THUMBBTNHORZ, state, &t, nullptr);
    DrawThemeBackground(theme, dc, vert ? SBP_GRIPPERVERT : SBP_GRIPPERHORZ, state, &t, nullptr);
  }
}

}  // namespace

void DrawScrollBars(Window* w, HDC dc) {
  // With visual styles on, the theme engine draws the bars.
  HTHEME theme = OpenThemeData(w->handle, u"SCROLLBAR");
  for (int bar : {SB_VERT, SB_HORZ}) {
    RECT r = BarRect(w, bar);
    if (r.IsEmpty()) continue;
    ScrollState& s = State(w, bar);
    Geometry g = Measure(w, bar, s);
    const bool vert = bar == SB_VERT;
    const bool off = Disabled(w, s);
    if (theme) {
      DrawThemedBar(theme, dc, r, vert, g, off, s.disabledArrows, IsHeld(w, bar, SB_LINEUP),
                    IsHeld(w, bar, SB_LINEDOWN), s.tracking);
      continue;
    }
    FillRect(dc, &r, GetSysColorBrush(COLOR_SCROLLBAR));
    RECT a1 = vert ? RECT{r.Left, r.Top, r.Right, r.Top + g.arrow}
                   : RECT{r.Left, r.Top, r.Left + g.arrow, r.Bottom};
    RECT a2 = vert ? RECT{r.Left, r.Bottom - g.arrow, r.Right, r.Bottom}
                   : RECT{r.Right - g.arrow, r.Top, r.Right, r.Bottom};
    UINT i1 = (off || (s.disabledArrows & ESB_DISABLE_UP)) ? DFCS_INACTIVE : 0;
    UINT i2 = (off || (s.disabledArrows & ESB_DISABLE_DOWN)) ? DFCS_INACTIVE : 0;
    if (g.arrow > 0) {
      const UINT p1 = IsHeld(w, bar, SB_LINEUP) ? DFCS_PUSHED : 0;
      const UINT p2 = IsHeld(w, bar, SB_LINEDOWN) ? DFCS_PUSHED : 0;
      DrawFrameControl(dc, &a1, DFC_SCROLL, (vert ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | i1 | p1);
      DrawFrameControl(dc, &a2, DFC_SCROLL, (vert ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | i2 | p2);
    }
    if (g.thumbEnd > 0) {
      RECT t = vert ? RECT{r.Left, r.Top + g.thumbStart, r.Right, r.Top + g.thumbEnd}
                    : RECT{r.Left + g.thumbStart, r.Top, r.Left + g.thumbEnd, r.Bottom};
      DrawFrameControl(dc, &t, DFC_BUTTON, DFCS_BUTTONPUSH);
    }
  }
  if (theme) CloseThemeData(theme);
  if ((w->style & WS_VSCROLL) && (w->style & WS_HSCROLL)) {
    RECT v = BarRect(w, SB_VERT), h = BarRect(w, SB_HORZ);
    RECT box{v.Left, h.Top, v.Right, h.Bottom};
    FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
  }
}

void TrackScrollBar(Window* w, int bar, POINT screen) {
  HWND hwnd = w->handle;
  ScrollState& s = State(w, bar);
  const UINT msg = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
  Geometry g = Measure(w, bar, s);
  const int part = PartAt(g, Along(w, bar, screen));
  if (part < 0 || Disabled(w, s)) return;
  if ((part == SB_LINEUP && (s.disabledArrows & ESB_DISABLE_UP)) ||
      (part == SB_LINEDOWN && (s.disabledArrows & ESB_DISABLE_DOWN)))
    return;
  const int grab = Along(w, bar, screen) - g.thumbStart;
  HeldPart() = {hwnd, bar, part, true};
  ScopeExit release{[] { HeldPart() = {}; }};
  InvalidateFrame(w);
  if (part == SB_THUMBTRACK) {
    s.tracking = true;
    s.trackPos = s.pos;
  } else {
    Send(hwnd, msg, static_cast<WPARAM>(part), 0);
    SetTimer(hwnd, kRepeatTimer, 400, nullptr);
  }
  const int startPos = s.pos;
  SetCapture(hwnd);
  POINT mouse = screen;
  for (;;) {
    MSG m;
    if (!GetMessageW(&m, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    if (!IsWindow(hwnd) || GetCapture() != hwnd) break;
    if (m.hwnd == hwnd && m.message == WM_LBUTTONUP) break;
    if (m.message == WM_KEYDOWN && m.wParam == static_cast<WPARAM>(VK_ESCAPE)) break;
    if (m.hwnd == hwnd && m.message == WM_MOUSEMOVE) {
      mouse = {GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
      ClientToScreen(hwnd, &mouse);
      if (part != SB_THUMBTRACK) {
        WindowPtr wp = Lookup(hwnd);
        if (!wp) break;
        const bool over = PartAt(Measure(wp.get(), bar, s), Along(wp.get(), bar, mouse)) == part &&
                          ContainsScreenPoint(wp.get(), mouse);
        if (over != HeldPart().over) {
          HeldPart().over = over;
          InvalidateFrame(wp.get());
        }
      }
      if (part == SB_THUMBTRACK) {
        WindowPtr wp = Lookup(hwnd);
        if (!wp) break;
        Geometry now = Measure(wp.get(), bar, s);
        const int track = now.length - 2 * now.arrow;
        const int thumb = g.thumbEnd - g.thumbStart;
        const int64_t posRange =
            static_cast<int64_t>(s.max) - s.min - std::max<int64_t>(static_cast<int64_t>(s.page) - 1, 0);
        const int at = Along(wp.get(), bar, mouse) - grab - now.arrow;
        int pos = s.min;
        if (track > thumb && posRange > 0)
          pos = s.min + static_cast<int>((static_cast<int64_t>(std::clamp(at, 0, track - thumb)) * posRange +
                                          (track - thumb) / 2) /
                                         (track - thumb));
        if (!InTrackingZone(wp.get(), bar, mouse)) pos = startPos;
        if (pos != s.trackPos) {
          s.trackPos = pos;
          InvalidateFrame(wp.get());
          Send(hwnd, msg, MAKEWPARAM(SB_THUMBTRACK, pos), 0);
        }
      }
      continue;
    }
    if (m.hwnd == hwnd && m.message == WM_TIMER && m.wParam == kRepeatTimer) {
      WindowPtr wp = Lookup(hwnd);
      if (!wp) break;
      // Repeats while the mouse stays on the part that was pressed (a page stops under the
      // mouse once the thumb gets there).
      const bool over = PartAt(Measure(wp.get(), bar, s), Along(wp.get(), bar, mouse)) == part &&
                        ContainsScreenPoint(wp.get(), mouse);
      if (over) Send(hwnd, msg, static_cast<WPARAM>(part), 0);
      if (over != HeldPart().over) {
        HeldPart().over = over;
        if (WindowPtr again = Lookup(hwnd)) InvalidateFrame(again.get());
      }
      SetTimer(hwnd, kRepeatTimer, 50, nullptr);
      continue;
    }
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  if (!IsWindow(hwnd)) return;
  HeldPart() = {};
  KillTimer(hwnd, kRepeatTimer);
  if (GetCapture() == hwnd) ReleaseCapture();
  if (part == SB_THUMBTRACK) {
    const int pos = s.trackPos;
    s.tracking = false;
    Send(hwnd, msg, MAKEWPARAM(SB_THUMBPOSITION, pos), 0);
  }
  if (IsWindow(hwnd)) Send(hwnd, msg, SB_ENDSCROLL, 0);
  if (WindowPtr wp = Lookup(hwnd)) InvalidateFrame(wp.get());
}

}  // namespace qd::user

namespace qd {
using namespace user;

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* si, BOOL redraw) {
  WindowPtr w = Checked(hwnd);
  if (!w || !si || (bar != SB_VERT && bar != SB_HORZ) ||
      (si->cbSize != sizeof(SCROLLINFO) && si->cbSize != sizeof(SCROLLINFO) - sizeof(int))) {
    if (w) SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  ScrollState& s = State(w.get(), bar);
  if (si->fMask & SIF_RANGE) {
    s.min = si->nMin;
    s.max = si->nMax;
  }
  if (si->fMask & SIF_PAGE) s.page = si->nPage;
  if (si->fMask & SIF_POS) s.pos = si->nPos;
  Clamp(s);
  s.set = true;
  const bool had = (w->style & StyleBit(bar)) != 0;
  bool show = had;
  const bool wasAuto = s.autoDisabled;
  if (si->fMask & (SIF_RANGE | SIF_PAGE)) {
    if (Needed(s)) {
      show = true;
      s.autoDisabled = false;
    } else if (si->fMask & SIF_DISABLENOSCROLL) {
      show = true;
      s.autoDisabled = true;
    } else {
      show = false;
      s.autoDisabled = false;
    }
  }
  if (show != had) {
    if (show)
      w->style |= StyleBit(bar);
    else
      w->style &= ~StyleBit(bar);
    FrameChanged(hwnd);
  } else if (redraw || wasAuto != s.autoDisabled) {
    InvalidateFrame(w.get());
  }
  return s.pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* si) {
  WindowPtr w = Checked(hwnd);
  if (!w || !si || (bar != SB_VERT && bar != SB_HORZ)) return FALSE;
  ScrollState& s = State(w.get(), bar);
  if (!s.set && !(w->style & StyleBit(bar))) {
    SetLastError(1447);  // ERROR_NO_SCROLLBARS
    return FALSE;
  }
  if (si->fMask & SIF_RANGE) {
    si->nMin = s.min;
    si->nMax = s.max;
  }
  if (si->fMask & SIF_PAGE) si->nPage = s.page;
  if (si->fMask & SIF_POS) si->nPos = s.pos;
  if (si->fMask & SIF_TRACKPOS) si->nTrackPos = s.tracking ? s.trackPos : s.pos;
  return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
  WindowPtr w = Checked(hwnd);
  if (!w || (bar != SB_VERT && bar != SB_HORZ)) return 0;
  const int old = State(w.get(), bar).pos;
  SCROLLINFO si;
  si.fMask = SIF_POS;
  si.nPos = pos;
  SetScrollInfo(hwnd, bar, &si, redraw);
  return old;
}

int GetScrollPos(HWND hwnd, int bar) {
  SCROLLINFO si;
  si.fMask = SIF_POS;
  return GetScrollInfo(hwnd, bar, &si) ? si.nPos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw) {
  if (static_cast<int64_t>(max) - min > 0x7FFFFFFF) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  SCROLLINFO si;
  si.fMask = SIF_RANGE;
  si.nMin = min;
  si.nMax = max;
  return IsWindow(hwnd) ? (SetScrollInfo(hwnd, bar, &si, redraw), TRUE) : FALSE;
}

BOOL GetScrollRange(HWND hwnd, int bar, LPINT min, LPINT max) {
  SCROLLINFO si;
  si.fMask = SIF_RANGE;
  if (!GetScrollInfo(hwnd, bar, &si)) {
    if (min) *min = 0;
    if (max) *max = 0;
    return FALSE;
  }
  if (min) *min = si.nMin;
  if (max) *max = si.nMax;
  return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
  WindowPtr w = Checked(hwnd);
  if (!w) return FALSE;
  DWORD bits = bar == SB_BOTH   ? (WS_VSCROLL | WS_HSCROLL)
               : bar == SB_VERT ? WS_VSCROLL
               : bar == SB_HORZ ? WS_HSCROLL
                                : 0;
  if (!bits) return FALSE;
  DWORD style = show ? (w->style | bits) : (w->style & ~bits);
  if (style != w->style) {
    w->style = style;
    FrameChanged(hwnd);
  }
  return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
  WindowPtr w = Checked(hwnd);
  if (!w) return FALSE;
  bool changed = false;
  for (int b : {SB_HORZ, SB_VERT}) {
    if (bar != SB_BOTH && static_cast<int>(bar) != b) continue;
    ScrollState& s = State(w.get(), b);
    changed |= s.disabledArrows != arrows;
    s.disabledArrows = arrows;
  }
  if (changed) InvalidateFrame(w.get());
  return changed ? TRUE : FALSE;
}

BOOL GetScrollBarInfo(HWND hwnd, LONG object, SCROLLBARINFO* info) {
  WindowPtr w = Checked(hwnd);
  if (!w || !info || info->cbSize != sizeof(SCROLLBARINFO) ||
      (object != OBJID_VSCROLL && object != OBJID_HSCROLL)) {
    if (w) SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const int bar = object == OBJID_VSCROLL ? SB_VERT : SB_HORZ;
  ScrollState& s = State(w.get(), bar);
  RECT r = BarRect(w.get(), bar);
  RECT wr = ScreenWindowRect(w.get());
  info->rcScrollBar = {wr.Left + r.Left, wr.Top + r.Top, wr.Left + r.Right, wr.Top + r.Bottom};
  Geometry g = Measure(w.get(), bar, s);
  info->dxyLineButton = g.arrow;
  info->xyThumbTop = g.thumbStart;
  info->xyThumbBottom = g.thumbEnd;
  info->reserved = 0;
  for (DWORD& st : info->rgstate) st = 0;
  if (r.IsEmpty()) {
    info->rgstate[0] = STATE_SYSTEM_INVISIBLE;
  } else if (Disabled(w.get(), s)) {
    info->rgstate[0] = STATE_SYSTEM_UNAVAILABLE;
  } else {
    if (s.disabledArrows & ESB_DISABLE_UP) info->rgstate[1] = STATE_SYSTEM_UNAVAILABLE;
    if (s.disabledArrows & ESB_DISABLE_DOWN) info->rgstate[5] = STATE_SYSTEM_UNAVAILABLE;
    if (g.thumbEnd == 0) info->rgstate[2] = info->rgstate[3] = info->rgstate[4] = STATE_SYSTEM_INVISIBLE;
    if (s.tracking) info->rgstate[3] |= STATE_SYSTEM_PRESSED;
    // rgstate: 1 up arrow, 2 page up, 3 thumb, 4 page down, 5 down arrow.
    const int parts[] = {SB_LINEUP, SB_PAGEUP, SB_THUMBTRACK, SB_PAGEDOWN, SB_LINEDOWN};
    for (int k = 0; k < 5; ++k)
      if (parts[k] != SB_THUMBTRACK && IsHeld(w.get(), bar, parts[k]))
        info->rgstate[k + 1] |= STATE_SYSTEM_PRESSED;
  }
  if (!IsWindowVisible(hwnd)) info->rgstate[0] |= STATE_SYSTEM_OFFSCREEN;
  return TRUE;
}

}  // namespace qd
