// DrawFrameControl and the predefined check-box bitmap.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/os/gdi.h"
#include "platform/os/gdi_surface.h"
#include "gdi_test_util.h"

namespace qd {
namespace {

using testing::kSentinel;
using testing::Rows;
using testing::TestDib;

uint32_t Sys(int i) {
  COLORREF c = GetSysColor(i);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

TEST(GdiFrameControl, CheckBoxShowsTheClassicCheckMark) {
  TestDib t(13, 13);
  RECT r{0, 0, 13, 13};
  ASSERT_TRUE(DrawFrameControl(t.dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
  EXPECT_EQ(t.At(0, 0), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(t.At(12, 12), Sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(t.At(2, 2), Sys(COLOR_WINDOW));
  std::string mark;
  for (int y = 3; y < 10; ++y) {
    for (int x = 3; x < 10; ++x) mark += t.At(x, y) == Sys(COLOR_WINDOWTEXT) ? '#' : '.';
    mark += '\n';
  }
  EXPECT_EQ(mark, Rows({"......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."}));
  TestDib u(13, 13);
  DrawFrameControl(u.dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_INACTIVE);
  EXPECT_EQ(u.At(6, 6), Sys(COLOR_BTNFACE));
}

// A larger cell (a higher DPI) gets a larger box whose check mark grows with it.
TEST(GdiFrameControl, CheckBoxAndItsMarkGrowWithTheCell) {
  struct Case {
    int cell, mark;
  } cases[] = {{13, 7}, {20, 11}, {26, 14}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cell);
    TestDib t(c.cell, c.cell);
    RECT r{0, 0, c.cell, c.cell};
    ASSERT_TRUE(DrawFrameControl(t.dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
    EXPECT_EQ(t.At(0, 0), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(t.At(c.cell - 1, c.cell - 1), Sys(COLOR_BTNHIGHLIGHT));
    RECT ink{c.cell, c.cell, -1, -1};
    for (int y = 0; y < c.cell; ++y)
      for (int x = 0; x < c.cell; ++x)
        if (t.At(x, y) == Sys(COLOR_WINDOWTEXT)) {
          ink.Left = std::min<LONG>(ink.Left, x);
          ink.Top = std::min<LONG>(ink.Top, y);
          ink.Right = std::max<LONG>(ink.Right, x + 1);
          ink.Bottom = std::max<LONG>(ink.Bottom, y + 1);
        }
    const int off = (c.cell - c.mark) / 2;
    EXPECT_EQ(ink, (RECT{off, off, off + c.mark, off + c.mark}));
  }
  // Doubled, the mark is the classic one with each pixel two by two.
  TestDib t(26, 26);
  RECT r{0, 0, 26, 26};
  DrawFrameControl(t.dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
  std::string mark;
  for (int y = 6; y < 20; y += 2) {
    for (int x = 6; x < 20; x += 2) {
      const bool ink = t.At(x, y) == Sys(COLOR_WINDOWTEXT);
      EXPECT_EQ(t.At(x + 1, y + 1) == Sys(COLOR_WINDOWTEXT), ink) << x << "," << y;
      mark += ink ? '#' : '.';
    }
    mark += '\n';
  }
  EXPECT_EQ(mark, Rows({"......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."}));
  t.SavePng("gdi_check_box_26");
}

TEST(GdiFrameControl, RadioMaskAndImage) {
  TestDib mask(12, 12);
  RECT r{0, 0, 12, 12};
  DrawFrameControl(mask.dc, &r, DFC_BUTTON, DFCS_BUTTONRADIOMASK);
  EXPECT_EQ(mask.At(6, 6), 0u);
  EXPECT_EQ(mask.At(0, 0), 0x00FFFFFFu);
  TestDib img(12, 12);
  DrawFrameControl(img.dc, &r, DFC_BUTTON, DFCS_BUTTONRADIOIMAGE | DFCS_CHECKED);
  EXPECT_EQ(img.At(0, 0), 0u);  // black outside the circle
  EXPECT_EQ(img.At(5, 5), Sys(COLOR_WINDOWTEXT));
  EXPECT_EQ(img.At(3, 8), Sys(COLOR_WINDOW));
}

// A cell at a higher DPI gets a larger button, whose dot stays around the centre in the
// window-text colour (what callers probe the button's geometry by).
TEST(GdiFrameControl, RadioButtonGrowsWithItsCell) {
  struct Case {
    int cell, size;
  } cases[] = {{12, 12}, {13, 12}, {19, 17}, {26, 24}};
  for (const auto& c : cases) {
    TestDib mask(c.cell, c.cell);
    RECT r{0, 0, c.cell, c.cell};
    DrawFrameControl(mask.dc, &r, DFC_BUTTON, DFCS_BUTTONRADIOMASK | DFCS_FLAT);
    int cols = 0;
    for (int x = 0; x < c.cell; ++x) {
      bool black = false;
      for (int y = 0; y < c.cell; ++y) black |= mask.At(x, y) == 0;
      cols += black;
    }
    EXPECT_EQ(cols, c.size) << c.cell;
    TestDib img(c.cell, c.cell);
    DrawFrameControl(img.dc, &r, DFC_BUTTON, DFCS_BUTTONRADIOIMAGE | DFCS_CHECKED | DFCS_FLAT);
    EXPECT_EQ(img.At(c.size / 2 - 1, c.size / 2 - 1), Sys(COLOR_WINDOWTEXT)) << c.cell;
    EXPECT_NE(img.At(c.size / 2 - 1, 2), Sys(COLOR_WINDOWTEXT)) << c.cell;
  }
}

TEST(GdiFrameControl, ScrollArrowsPointTheirWay) {
  struct Case {
    UINT state;
    POINT apex, base, beside;  // the tip, an end of the base, and a pixel beside the tip
  } cases[] = {{DFCS_SCROLLUP, {7, 5}, {4, 8}, {6, 5}},
               {DFCS_SCROLLDOWN, {7, 8}, {4, 5}, {6, 8}},
               {DFCS_SCROLLLEFT, {5, 7}, {8, 4}, {5, 6}},
               {DFCS_SCROLLRIGHT, {8, 7}, {5, 4}, {8, 6}}};
  for (const auto& c : cases) {
    TestDib t(16, 16);
    RECT r{0, 0, 16, 16};
    DrawFrameControl(t.dc, &r, DFC_SCROLL, c.state);
    EXPECT_EQ(t.At(c.apex.X, c.apex.Y), Sys(COLOR_BTNTEXT)) << c.state;
    EXPECT_EQ(t.At(c.base.X, c.base.Y), Sys(COLOR_BTNTEXT)) << c.state;
    EXPECT_NE(t.At(c.beside.X, c.beside.Y), Sys(COLOR_BTNTEXT)) << c.state;  // narrow at the tip
  }
}

TEST(GdiFrameControl, PushButtonAdjustsAndMenuGlyphsAreMonochrome) {
  TestDib t(20, 10);
  RECT r{0, 0, 20, 10};
  DrawFrameControl(t.dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
  EXPECT_EQ(r, (RECT{2, 2, 18, 8}));
  EXPECT_EQ(t.At(10, 5), Sys(COLOR_BTNFACE));
  TestDib m(12, 12);
  RECT mr{0, 0, 12, 12};
  DrawFrameControl(m.dc, &mr, DFC_MENU, DFCS_MENUCHECK);
  int black = 0;
  for (int i = 0; i < 144; ++i) {
    EXPECT_TRUE(m.bits[i] == 0 || m.bits[i] == 0x00FFFFFF);
    black += m.bits[i] == 0;
  }
  EXPECT_EQ(black, 21);
}

TEST(GdiFrameControl, CheckBoxesBitmapIsAGridOfThirteenPixelImages) {
  HBITMAP bm = LoadBitmapW(nullptr, reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(OBM_CHECKBOXES)));
  ASSERT_NE(bm, nullptr);
  BITMAP info{};
  GetObjectW(bm, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 52);
  EXPECT_EQ(info.bmHeight, 39);
  TestDib t(52, 39);
  HDC src = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(src, bm);
  BitBlt(t.dc, 0, 0, 52, 39, src, 0, 0, SRCCOPY);
  SelectObject(src, old);
  DeleteDC(src);
  DeleteObject(bm);
  auto marks = [&](int col, int row) {
    int n = 0;
    for (int y = 3; y < 10; ++y)
      for (int x = 3; x < 10; ++x) n += t.At(col * 13 + x, row * 13 + y) == Sys(COLOR_WINDOWTEXT);
    return n;
  };
  EXPECT_EQ(marks(0, 0), 0);
  EXPECT_EQ(marks(1, 0), 21);
  EXPECT_EQ(marks(3, 0), 21);
  EXPECT_GT(marks(1, 1), 0);                           // radio dot
  EXPECT_EQ(t.At(2 * 13 + 6, 6), Sys(COLOR_BTNFACE));  // pushed: face inside
  t.SavePng("gdi_checkboxes");
  EXPECT_EQ(LoadBitmapW(nullptr, reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(32000))), nullptr);
}

// At a higher screen DPI the cells grow with it (what painters take the check-box size from).
TEST(GdiFrameControl, CheckBoxesBitmapFollowsTheScreenDpi) {
  gdi::SetScreenDpi(144);
  HBITMAP bm = LoadBitmapW(nullptr, reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(OBM_CHECKBOXES)));
  gdi::SetScreenDpi(96);
  ASSERT_NE(bm, nullptr);
  BITMAP info{};
  GetObjectW(bm, sizeof info, &info);
  DeleteObject(bm);
  EXPECT_EQ(info.bmWidth, 4 * 20);
  EXPECT_EQ(info.bmHeight, 3 * 20);
}

// Also written as a picture (gdi_frame_controls.png in the build folder) to look at by eye.
TEST(GdiFrameControl, EveryPictureStaysInsideItsRectangle) {
  TestDib t(200, 60);
  struct Item {
    UINT type, state;
    RECT r;
  } items[] = {
      {DFC_BUTTON, DFCS_BUTTONCHECK, {2, 2, 15, 15}},
      {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED, {18, 2, 31, 15}},
      {DFC_BUTTON, DFCS_BUTTONRADIO, {34, 2, 46, 14}},
      {DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED, {49, 2, 61, 14}},
      {DFC_SCROLL, DFCS_SCROLLUP, {64, 2, 80, 18}},
      {DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_PUSHED, {83, 2, 99, 18}},
      {DFC_SCROLL, DFCS_SCROLLLEFT | DFCS_INACTIVE, {102, 2, 118, 18}},
      {DFC_SCROLL, DFCS_SCROLLSIZEGRIP, {121, 2, 137, 18}},
      {DFC_CAPTION, DFCS_CAPTIONCLOSE, {140, 2, 156, 18}},
      {DFC_CAPTION, DFCS_CAPTIONMAX, {159, 2, 175, 18}},
      {DFC_CAPTION, DFCS_CAPTIONMIN, {2, 24, 18, 40}},
      {DFC_CAPTION, DFCS_CAPTIONRESTORE, {22, 24, 38, 40}},
      {DFC_CAPTION, DFCS_CAPTIONHELP, {42, 24, 58, 40}},
      {DFC_MENU, DFCS_MENUARROW, {62, 24, 74, 36}},
      {DFC_MENU, DFCS_MENUBULLET, {78, 24, 90, 36}},
      {DFC_BUTTON, DFCS_BUTTONPUSH, {94, 24, 134, 44}},
      {DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED, {138, 24, 178, 44}},
  };
  for (auto& it : items) {
    RECT r = it.r;
    EXPECT_TRUE(DrawFrameControl(t.dc, &r, it.type, it.state));
  }
  t.SavePng("gdi_frame_controls");
  for (int y = 0; y < t.h; ++y)
    for (int x = 0; x < t.w; ++x) {
      if (t.At(x, y) == kSentinel) continue;
      bool inside = false;
      for (auto& it : items) inside |= x >= it.r.Left && x < it.r.Right && y >= it.r.Top && y < it.r.Bottom;
      EXPECT_TRUE(inside) << x << "," << y;
    }
}

}  // namespace
}  // namespace qd

namespace qd {
namespace {

TEST(GdiFrameControl, HugeRectanglesAreCheap) {
  testing::TestDib t(8, 8);
  const int big = 1 << 30;
  const UINT kinds[][2] = {{DFC_SCROLL, DFCS_SCROLLSIZEGRIP}, {DFC_SCROLL, DFCS_SCROLLUP},
                           {DFC_CAPTION, DFCS_CAPTIONCLOSE},  {DFC_MENU, DFCS_MENUBULLET},
                           {DFC_BUTTON, DFCS_BUTTONRADIO},    {DFC_BUTTON, DFCS_BUTTONPUSH}};
  for (const auto& k : kinds) {
    RECT r{-big, -big, big, big};
    EXPECT_TRUE(DrawFrameControl(t.dc, &r, k[0], k[1]));
  }
}

}  // namespace
}  // namespace qd
