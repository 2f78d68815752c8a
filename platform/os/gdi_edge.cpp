// Three-dimensional edges and focus rectangles in the system colours.
#include <algorithm>

#include "platform/os/gdi_draw.h"
#include "platform/os/gdi_internal.h"
#include "platform/os/gdi_region.h"

namespace qd {
using namespace gdi;

namespace {

void Fill(HDC dc, int l, int t, int r, int b, int sysColor) {
  if (sysColor < 0 || r <= l || b <= t) return;
  RECT rc{l, t, r, b};
  FillRect(dc, &rc, GetSysColorBrush(sysColor));
}

struct EdgeColours {
  int ltOuter = -1, rbOuter = -1, ltInner = -1, rbInner = -1;
};

EdgeColours ColoursOf(UINT edge, UINT flags) {
  UINT outer = edge & BDR_OUTER, inner = (edge & BDR_INNER) >> 2;
  EdgeColours c;
  if (flags & BF_MONO) {
    if (outer) c.ltOuter = c.rbOuter = COLOR_WINDOWFRAME;
    if (inner) c.ltInner = c.rbInner = COLOR_WINDOW;
    return c;
  }
  if (flags & BF_FLAT) {
    if (outer) c.ltOuter = c.rbOuter = COLOR_BTNSHADOW;
    if (inner) c.ltInner = c.rbInner = COLOR_BTNFACE;
    return c;
  }
  bool soft = (flags & BF_SOFT) != 0;
  // Index 1: raised, 2: sunken.
  if (outer == 1) {
    c.ltOuter = soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT;
    c.rbOuter = COLOR_3DDKSHADOW;
  } else if (outer == 2) {
    c.ltOuter = soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW;
    c.rbOuter = COLOR_BTNHIGHLIGHT;
  }
  if (inner == 1) {
    c.ltInner = soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT;
    c.rbInner = COLOR_BTNSHADOW;
  } else if (inner == 2) {
    c.ltInner = soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW;
    c.rbInner = COLOR_3DLIGHT;
  }
  return c;
}

BOOL DiagonalEdge(HDC h, LPRECT rc, const EdgeColours& c, UINT flags) {
  RECT r = *rc;
  // The line runs from the opposite corner to the corner named by the side flags.
  bool endTop = (flags & BF_TOP) != 0, endRight = (flags & BF_RIGHT) != 0;
  POINT from{endRight ? r.Left : r.Right - 1, endTop ? r.Bottom - 1 : r.Top};
  POINT to{endRight ? r.Right - 1 : r.Left, endTop ? r.Top : r.Bottom - 1};
  auto line = [&](int color, int shift) {
    if (color < 0) return;
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(color));
    HGDIOBJ old = SelectObject(h, pen);
    POINT oldPos;
    MoveToEx(h, from.X, from.Y + shift, &oldPos);
    LineTo(h, to.X, to.Y + shift);
    MoveToEx(h, oldPos.X, oldPos.Y, nullptr);
    SelectObject(h, old);
    DeleteObject(pen);
  };
  line(endTop ? c.ltOuter : c.rbOuter, 0);
  line(endTop ? c.ltInner : c.rbInner, endTop ? 1 : -1);
  if (flags & BF_ADJUST) *rc = r;
  return TRUE;
}

}  // namespace

BOOL DrawEdge(HDC h, LPRECT rc, UINT edge, UINT flags) {
  if (!FindDc(h) || !rc) return FALSE;
  EdgeColours c = ColoursOf(edge, flags);
  *rc = ClampRect(*rc);
  if (flags & BF_DIAGONAL) return DiagonalEdge(h, rc, c, flags);
  RECT r = *rc;
  auto layer = [&](int lt, int rb) {
    if (lt < 0 && rb < 0) return;
    bool L = flags & BF_LEFT, T = flags & BF_TOP, R = flags & BF_RIGHT, B = flags & BF_BOTTOM;
    // Left and top stop short of the right and bottom sides, which own those corners.
    if (L) Fill(h, r.Left, r.Top, r.Left + 1, r.Bottom - (B ? 1 : 0), lt);
    if (T) Fill(h, r.Left, r.Top, r.Right - (R ? 1 : 0), r.Top + 1, lt);
    if (R) Fill(h, r.Right - 1, r.Top, r.Right, r.Bottom, rb);
    if (B) Fill(h, r.Left, r.Bottom - 1, r.Right, r.Bottom, rb);
    if (L) ++r.Left;
    if (T) ++r.Top;
    if (R) --r.Right;
    if (B) --r.Bottom;
  };
  layer(c.ltOuter, c.rbOuter);
  layer(c.ltInner, c.rbInner);
  if (flags & BF_MIDDLE)
    Fill(h, r.Left, r.Top, r.Right, r.Bottom, (flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
  if (flags & BF_ADJUST) *rc = r;
  return TRUE;
}

BOOL DrawFocusRect(HDC h, const RECT* rect) {
  Dc* dc = FindDc(h);
  if (!dc || !rect) return FALSE;
  const RECT r = ClampRect(*rect);
  if (r.Right <= r.Left || r.Bottom <= r.Top) return TRUE;
  Dest d;
  if (!PrepareDest(*dc, d)) return TRUE;
  // A one-pixel frame inverted through a checkerboard in the DC's text and background colours
  // (PATINVERT): drawing it twice restores the pixels.
  Pattern p;
  p.solid = false;
  p.w = p.h = 2;
  uint32_t fg = NativeFromColor(d.pm, dc->s.textColor), bg = NativeFromColor(d.pm, dc->s.bkColor);
  p.values = {bg, fg, fg, bg};
  p.orgX = dc->s.brushOrg.X;
  p.orgY = dc->s.brushOrg.Y;
  Rgn frame;
  RECT bands[4] = {{r.Left, r.Top, r.Right, r.Top + 1},
                   {r.Left, r.Bottom - 1, r.Right, r.Bottom},
                   {r.Left, r.Top, r.Left + 1, r.Bottom},
                   {r.Right - 1, r.Top, r.Right, r.Bottom}};
  for (const RECT& b : bands) frame.Union(LogicalRectToDevice(*dc, b));
  FillRgn(d, frame, &p, 0x5A);
  return TRUE;
}

}  // namespace qd
