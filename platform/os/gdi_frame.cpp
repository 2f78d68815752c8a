// DrawFrameControl pictures (buttons, check boxes, radio buttons, scroll arrows, size grip,
// caption and menu glyphs) in the classic style, and the OBM_CHECKBOXES bitmap.
#include <algorithm>
#include <cmath>

#include "platform/os/gdi_internal.h"

namespace qd {
using namespace gdi;

namespace {

void FillColor(HDC dc, const RECT& r, COLORREF c) {
  if (r.IsEmpty()) return;
  HBRUSH b = CreateSolidBrush(c);
  FillRect(dc, &r, b);
  DeleteObject(b);
}

void FillSys(HDC dc, const RECT& r, int index) {
  FillColor(dc, r, GetSysColor(index));
}

void Pixel(HDC dc, int x, int y, COLORREF c) {
  SetPixelV(dc, x, y, c);
}

// A square of side `size` centred in r (left-aligned vertically centred for check boxes).
RECT Square(const RECT& r, int size, bool center) {
  int l = center ? r.Left + (r.Width() - size) / 2 : r.Left;
  int t = r.Top + (r.Height() - size) / 2;
  return {l, t, l + size, t + size};
}

// The classic check mark: 7 x 7 pixels.
const char* const kCheck[7] = {"......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."};

// Draws the mark `side` x `side` pixels large, each of its pixels repeated as often as needed.
void DrawCheck(HDC dc, int x, int y, int side, COLORREF c) {
  for (int j = 0; j < side; ++j)
    for (int i = 0; i < side; ++i)
      if (kCheck[j * 7 / side][i * 7 / side] == '#') Pixel(dc, x + i, y + j, c);
}

// Check boxes are 13 pixels at 96 DPI and grow with larger rectangles, their mark in the
// same ratio (7 of 13), like radio buttons.
BOOL CheckBox(HDC dc, const RECT& rc, UINT state) {
  int size = std::min({rc.Width(), rc.Height(), 256});
  if (size <= 0) return TRUE;
  RECT box = Square(rc, size, false);
  bool inactive = state & DFCS_INACTIVE, pushed = state & DFCS_PUSHED, checked = state & DFCS_CHECKED;
  bool threeState = state & DFCS_BUTTON3STATE;
  RECT in = box;
  if (state & DFCS_MONO) {
    FrameRect(dc, &box, GetSysColorBrush(COLOR_WINDOWFRAME));
    in = {box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1};
  } else if (state & DFCS_FLAT) {
    FrameRect(dc, &box, GetSysColorBrush(COLOR_BTNSHADOW));
    in = {box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1};
  } else {
    RECT e = box;
    DrawEdge(dc, &e, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    in = e;
  }
  FillSys(dc, in, (inactive || pushed || (threeState && checked)) ? COLOR_BTNFACE : COLOR_WINDOW);
  if (checked) {
    COLORREF c = GetSysColor(inactive || threeState ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
    const int side = size >= 13 ? (size * 7 + 6) / 13 : std::min(7, size);
    int off = (size - side) / 2;
    DrawCheck(dc, box.Left + off, box.Top + off, side, c);
  }
  return TRUE;
}

// Pixels of a circle's ring (outline) and disc in a square box.
void Circle(const RECT& b, Boxes* fill, Boxes* outline) {
  RasterEllipse(b.Left, b.Top, b.Right, b.Bottom, fill, outline);
}

template <class F>
void ForPixels(const Boxes& boxes, F&& f) {
  for (const auto& b : boxes)
    for (int32_t y = b.y1; y < b.y2; ++y)
      for (int32_t x = b.x1; x < b.x2; ++x) f(x, y);
}

// Radio buttons fill 12 of 13 pixels and grow with larger rectangles in that ratio, so a
// caller that asks for a cell at a higher DPI gets a button of that DPI.
BOOL RadioButton(HDC dc, const RECT& rc, UINT state) {
  int size = std::min({rc.Width(), rc.Height(), 256});
  size = size >= 13 ? size * 12 / 13 : size;
  if (size <= 0) return TRUE;
  RECT box = Square(rc, size, false);
  bool inactive = state & DFCS_INACTIVE, pushed = state & DFCS_PUSHED, checked = state & DFCS_CHECKED;
  Boxes disc, ring, innerDisc, innerRing, dot;
  Circle(box, &disc, &ring);
  if (state & DFCS_BUTTONRADIOMASK) {
    // The mask: black disc on white.
    FillSys(dc, rc, COLOR_WINDOW);
    FillColor(dc, box, RGB(255, 255, 255));
    ForPixels(disc, [&](int x, int y) { Pixel(dc, x, y, RGB(0, 0, 0)); });
    return TRUE;
  }
  if (state & DFCS_BUTTONRADIOIMAGE) FillColor(dc, box, RGB(0, 0, 0));
  RECT inner{box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1};
  Circle(inner, &innerDisc, &innerRing);
  double cx = (box.Left + box.Right - 1) / 2.0, cy = (box.Top + box.Bottom - 1) / 2.0;
  auto upperLeft = [&](int x, int y) { return (x - cx) + (y - cy) < 0; };
  COLORREF face = GetSysColor((inactive || pushed) ? COLOR_BTNFACE : COLOR_WINDOW);
  ForPixels(disc, [&](int x, int y) { Pixel(dc, x, y, face); });
  bool mono = state & (DFCS_MONO | DFCS_FLAT);
  ForPixels(ring, [&](int x, int y) {
    int c = mono ? (state & DFCS_MONO ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW)
                 : (upperLeft(x, y) ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
    Pixel(dc, x, y, GetSysColor(c));
  });
  if (!mono)
    ForPixels(innerRing, [&](int x, int y) {
      Pixel(dc, x, y, GetSysColor(upperLeft(x, y) ? COLOR_3DDKSHADOW : COLOR_3DLIGHT));
    });
  if (checked) {
    int d = std::max(2, size / 3);
    int l = box.Left + (size - d) / 2, t = box.Top + (size - d) / 2;
    Boxes dotFill;
    RasterEllipse(l, t, l + d, t + d, &dotFill, nullptr);
    COLORREF c = GetSysColor(inactive ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
    ForPixels(dotFill, [&](int x, int y) { Pixel(dc, x, y, c); });
  }
  return TRUE;
}

BOOL PushButton(HDC dc, LPRECT rc, UINT state) {
  UINT edge = (state & (DFCS_PUSHED | DFCS_CHECKED)) ? EDGE_SUNKEN : EDGE_RAISED;
  UINT flags = BF_RECT | BF_MIDDLE | BF_SOFT;
  if (state & DFCS_FLAT) flags |= BF_FLAT;
  if (state & DFCS_MONO) flags |= BF_MONO;
  if (state & DFCS_ADJUSTRECT) flags |= BF_ADJUST;
  RECT r = *rc;
  DrawEdge(dc, &r, edge, flags);
  if (state & DFCS_ADJUSTRECT) *rc = r;
  return TRUE;
}

enum class Dir { Up, Down, Left, Right };

// A filled triangle pointing in `dir`, centred at (cx, cy), `h` rows tall.
void Arrow(HDC dc, int cx, int cy, int h, Dir dir, COLORREF c) {
  for (int i = 0; i < h; ++i) {
    int half = i;  // rows widen by one pixel on each side
    for (int k = -half; k <= half; ++k) {
      int along = dir == Dir::Up || dir == Dir::Left ? i : h - 1 - i;
      int x, y;
      if (dir == Dir::Up || dir == Dir::Down) {
        x = cx + k;
        y = cy - h / 2 + along;
      } else {
        x = cx - h / 2 + along;
        y = cy + k;
      }
      Pixel(dc, x, y, c);
    }
  }
}

BOOL ScrollButton(HDC dc, LPRECT rc, UINT state) {
  UINT kind = state & 0x1F;
  if (kind == DFCS_SCROLLSIZEGRIP || kind == DFCS_SCROLLSIZEGRIPRIGHT) {
    if (!(state & DFCS_TRANSPARENT)) FillSys(dc, *rc, COLOR_BTNFACE);
    int size = std::min({rc->Width(), rc->Height(), 256});
    bool left = kind == DFCS_SCROLLSIZEGRIPRIGHT;
    int bx = left ? rc->Left : rc->Right - 1, by = rc->Bottom - 1;
    for (int k = 1; k < size; ++k) {
      int phase = (k - 1) % 4;
      if (phase == 3) continue;
      COLORREF c = GetSysColor(phase == 0 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
      for (int i = 0; i <= k; ++i) {
        int x = left ? bx + i : bx - i, y = by - (k - i);
        if (y < rc->Top) continue;
        Pixel(dc, x, y, c);
      }
    }
    return TRUE;
  }
  RECT r = *rc;
  bool pushed = state & DFCS_PUSHED;
  if (pushed && !(state & DFCS_MONO)) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    RECT in{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    FillSys(dc, in, COLOR_BTNFACE);
  } else {
    PushButton(dc, &r, state & (DFCS_FLAT | DFCS_MONO));
  }
  int size = std::min({rc->Width(), rc->Height(), 256});
  int h = std::max(1, (size + 1) / 4);
  int cx = rc->Left + (rc->Width() - 1) / 2 + (pushed ? 1 : 0);
  int cy = rc->Top + (rc->Height() - 1) / 2 + (pushed ? 1 : 0);
  Dir dir = kind == DFCS_SCROLLUP      ? Dir::Up
            : kind == DFCS_SCROLLLEFT  ? Dir::Left
            : kind == DFCS_SCROLLRIGHT ? Dir::Right
                                       : Dir::Down;
  if (state & DFCS_INACTIVE) {
    Arrow(dc, cx + 1, cy + 1, h, dir, GetSysColor(COLOR_BTNHIGHLIGHT));
    Arrow(dc, cx, cy, h, dir, GetSysColor(COLOR_BTNSHADOW));
  } else {
    Arrow(dc, cx, cy, h, dir, GetSysColor(COLOR_BTNTEXT));
  }
  return TRUE;
}

void ThickLine(HDC dc, int x0, int y0, int x1, int y1, COLORREF c) {
  HPEN pen = CreatePen(PS_SOLID, 1, c);
  HGDIOBJ old = SelectObject(dc, pen);
  POINT keep;
  for (int dx = 0; dx < 2; ++dx) {
    MoveToEx(dc, x0 + dx, y0, &keep);
    LineTo(dc, x1 + dx, y1);
    MoveToEx(dc, keep.X, keep.Y, nullptr);
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

BOOL CaptionButton(HDC dc, LPRECT rc, UINT state) {
  RECT r = *rc;
  PushButton(dc, &r, state & (DFCS_PUSHED | DFCS_FLAT | DFCS_MONO));
  int size = std::min({rc->Width(), rc->Height(), 256});
  int g = std::max(4, size - 8);  // glyph box
  int off = (state & DFCS_PUSHED) ? 1 : 0;
  int l = rc->Left + (rc->Width() - g) / 2 + off, t = rc->Top + (rc->Height() - g) / 2 + off;
  COLORREF c = GetSysColor((state & DFCS_INACTIVE) ? COLOR_BTNSHADOW : COLOR_BTNTEXT);
  switch (state & 0xF) {
    case DFCS_CAPTIONCLOSE:
      ThickLine(dc, l, t, l + g - 1, t + g, c);
      ThickLine(dc, l + g - 2, t, l - 1, t + g, c);
      break;
    case DFCS_CAPTIONMIN:
      FillColor(dc, {l, t + g - 2, l + g - 2, t + g}, c);
      break;
    case DFCS_CAPTIONMAX: {
      RECT b{l, t, l + g, t + g};
      HBRUSH br = CreateSolidBrush(c);
      FrameRect(dc, &b, br);
      RECT top{l, t + 1, l + g, t + 2};
      FillRect(dc, &top, br);
      DeleteObject(br);
      break;
    }
    case DFCS_CAPTIONRESTORE: {
      int s = g * 2 / 3;
      HBRUSH br = CreateSolidBrush(c);
      RECT back{l + g - s, t, l + g, t + s};
      FrameRect(dc, &back, br);
      RECT front{l, t + g - s, l + s, t + g};
      FillSys(dc, front, COLOR_BTNFACE);
      FrameRect(dc, &front, br);
      DeleteObject(br);
      break;
    }
    case DFCS_CAPTIONHELP: {
      static const char* const kHelp[7] = {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."};
      int hx = rc->Left + (rc->Width() - 5) / 2 + off, hy = rc->Top + (rc->Height() - 7) / 2 + off;
      for (int j = 0; j < 7; ++j)
        for (int i = 0; i < 5; ++i)
          if (kHelp[j][i] == '#') Pixel(dc, hx + i, hy + j, c);
      break;
    }
    default:
      break;
  }
  return TRUE;
}

// Menu glyphs are monochrome pictures: black glyph on white.
BOOL MenuGlyph(HDC dc, const RECT& rc, UINT state) {
  FillColor(dc, rc, RGB(255, 255, 255));
  int size = std::min({rc.Width(), rc.Height(), 256});
  int cx = rc.Left + (rc.Width() - 1) / 2, cy = rc.Top + (rc.Height() - 1) / 2;
  switch (state & 0xF) {
    case DFCS_MENUARROW:
      Arrow(dc, cx, cy, std::max(2, size / 3), Dir::Right, RGB(0, 0, 0));
      break;
    case DFCS_MENUARROWRIGHT:
      Arrow(dc, cx, cy, std::max(2, size / 3), Dir::Left, RGB(0, 0, 0));
      break;
    case DFCS_MENUCHECK:
      DrawCheck(dc, cx - 3, cy - 3, 7, RGB(0, 0, 0));
      break;
    case DFCS_MENUBULLET: {
      int d = std::max(2, size / 3);
      Boxes dot;
      RasterEllipse(cx - d / 2, cy - d / 2, cx - d / 2 + d, cy - d / 2 + d, &dot, nullptr);
      ForPixels(dot, [&](int x, int y) { Pixel(dc, x, y, RGB(0, 0, 0)); });
      break;
    }
    default:
      break;
  }
  return TRUE;
}

}  // namespace

BOOL DrawFrameControl(HDC dc, LPRECT rect, UINT type, UINT state) {
  if (!FindDc(dc) || !rect) return FALSE;
  RECT r = ClampRect(*rect);
  BOOL ok;
  switch (type) {
    case DFC_BUTTON:
      if (state & DFCS_BUTTONPUSH)
        ok = PushButton(dc, &r, state);
      else if (state & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK))
        ok = RadioButton(dc, r, state);
      else
        ok = CheckBox(dc, r, state);
      break;
    case DFC_SCROLL:
      ok = ScrollButton(dc, &r, state);
      break;
    case DFC_CAPTION:
      ok = CaptionButton(dc, &r, state);
      break;
    case DFC_MENU:
    case DFC_POPUPMENU:
      ok = MenuGlyph(dc, r, state);
      break;
    default:
      return FALSE;
  }
  if (state & DFCS_ADJUSTRECT) *rect = r;
  return ok;
}

HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name) {
  auto id = reinterpret_cast<uintptr_t>(name);
  if (instance || id != static_cast<uintptr_t>(OBM_CHECKBOXES)) return nullptr;
  // Four columns (unchecked, checked, pushed, checked and pushed) of three rows (check box,
  // radio button, three-state box), 13 x 13 pixels each at 96 DPI, larger at the screen's DPI.
  HDC dc = CreateCompatibleDC(nullptr);
  const int cell = std::max(13, MulDiv(13, GetDeviceCaps(dc, LOGPIXELSY), 96));
  HBITMAP bm = CreateBitmap(4 * cell, 3 * cell, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(dc, bm);
  RECT all{0, 0, 4 * cell, 3 * cell};
  FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
  const UINT kinds[3] = {DFCS_BUTTONCHECK, DFCS_BUTTONRADIO, DFCS_BUTTON3STATE};
  const UINT states[4] = {0, DFCS_CHECKED, DFCS_PUSHED, DFCS_CHECKED | DFCS_PUSHED};
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 4; ++col) {
      RECT r{col * cell, row * cell, col * cell + cell, row * cell + cell};
      DrawFrameControl(dc, &r, DFC_BUTTON, kinds[row] | states[col]);
    }
  SelectObject(dc, old);
  DeleteDC(dc);
  return bm;
}

}  // namespace qd
