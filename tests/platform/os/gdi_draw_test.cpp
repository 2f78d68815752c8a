// Lines, shapes, pens, binary ROPs, edges and focus rectangles.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/os/gdi.h"
#include "gdi_test_util.h"

namespace qd {
namespace {

using testing::Rows;
using testing::TestDib;

struct PenScope {
  HDC dc;
  HPEN pen;
  HGDIOBJ old;
  PenScope(HDC d, int style, int width, COLORREF c) : dc(d), pen(CreatePen(style, width, c)) {
    old = SelectObject(dc, pen);
  }
  ~PenScope() {
    SelectObject(dc, old);
    DeleteObject(pen);
  }
};

TEST(GdiLine, LinesLeaveOutTheirLastPoint) {
  struct Case {
    POINT a, b;
    std::string mask;
  } cases[] = {
      {{0, 0}, {4, 0}, Rows({"####..", "......", "......", "......"})},
      {{4, 1}, {0, 1}, Rows({"......", ".####.", "......", "......"})},
      {{1, 0}, {1, 3}, Rows({".#....", ".#....", ".#....", "......"})},
      {{0, 0}, {3, 3}, Rows({"#.....", ".#....", "..#...", "......"})},
      {{2, 2}, {2, 2}, Rows({"......", "......", "......", "......"})},
  };
  for (const auto& c : cases) {
    TestDib t(6, 4);
    MoveToEx(t.dc, c.a.X, c.a.Y, nullptr);
    LineTo(t.dc, c.b.X, c.b.Y);
    EXPECT_EQ(t.Mask(), c.mask) << c.a.X << "," << c.a.Y << " -> " << c.b.X << "," << c.b.Y;
    POINT cur;
    GetCurrentPositionEx(t.dc, &cur);
    EXPECT_EQ(cur, c.b);
    EXPECT_EQ(t.At(c.a.X, c.a.Y) >> 24, c.a == c.b ? 0xA5u : 0u);  // pen pixels have alpha 0
  }
}

TEST(GdiLine, PolylineDrawsSharedVerticesOnceUnderXor) {
  TestDib t(5, 5, 0);
  SetROP2(t.dc, R2_XORPEN);
  PenScope pen(t.dc, PS_SOLID, 1, RGB(255, 255, 255));
  POINT pts[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}};
  Polyline(t.dc, pts, 5);
  EXPECT_EQ(t.MaskOf(RGB(255, 255, 255)), Rows({"#####", "#...#", "#...#", "#...#", "#####"}));
}

TEST(GdiLine, BinaryRopsCombinePenAndDestination) {
  const uint32_t D = 0x0033CC0F;
  const uint32_t P = 0x0050A0F0;
  struct Case {
    int rop2;
    uint32_t want;
  } cases[] = {{R2_COPYPEN, P},       {R2_XORPEN, P ^ D},   {R2_NOT, ~D & 0xFFFFFFFF},
               {R2_MASKPEN, P & D},   {R2_MERGEPEN, P | D}, {R2_NOP, D},
               {R2_BLACK, 0},         {R2_NOTCOPYPEN, ~P},  {R2_MASKPENNOT, P & ~D},
               {R2_WHITE, 0xFFFFFFFF}};
  for (const auto& c : cases) {
    TestDib t(2, 1, D);
    PenScope pen(t.dc, PS_SOLID, 1, RGB(0x50, 0xA0, 0xF0));
    SetROP2(t.dc, c.rop2);
    MoveToEx(t.dc, 0, 0, nullptr);
    LineTo(t.dc, 1, 0);
    EXPECT_EQ(t.At(0, 0), c.want) << c.rop2;
  }
}

TEST(GdiLine, DashedPenAndOpaqueGaps) {
  TestDib t(12, 2);
  {
    PenScope pen(t.dc, PS_DOT, 1, RGB(0, 0, 0));
    SetBkMode(t.dc, TRANSPARENT);
    MoveToEx(t.dc, 0, 0, nullptr);
    LineTo(t.dc, 12, 0);
    SetBkMode(t.dc, OPAQUE);
    SetBkColor(t.dc, RGB(0, 0, 255));
    MoveToEx(t.dc, 0, 1, nullptr);
    LineTo(t.dc, 12, 1);
  }
  EXPECT_EQ(t.Mask([](uint32_t v) {
    return v == testing::kSentinel ? '.' : v == 0 ? '#' : v == 0xFF ? 'b' : '?';
  }),
            Rows({"###...###...", "###bbb###bbb"}));
}

TEST(GdiLine, WidePenCoversItsWidthAroundTheLine) {
  TestDib t(10, 7);
  PenScope pen(t.dc, PS_SOLID, 3, RGB(0, 0, 0));
  MoveToEx(t.dc, 2, 3, nullptr);
  LineTo(t.dc, 7, 3);
  EXPECT_EQ(t.Mask().substr(0, 11), "..........\n");
  for (int x = 2; x <= 7; ++x)
    for (int y = 2; y <= 4; ++y) EXPECT_NE(t.At(x, y), testing::kSentinel) << x << "," << y;
  EXPECT_EQ(t.At(5, 1), testing::kSentinel);
  EXPECT_EQ(t.At(5, 5), testing::kSentinel);
}

TEST(GdiShape, RectangleWithAndWithoutPen) {
  TestDib t(6, 5, 0x00FFFFFF);
  HBRUSH gray = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  HGDIOBJ oldBrush = SelectObject(t.dc, gray);
  Rectangle(t.dc, 0, 0, 5, 4);
  EXPECT_EQ(t.Mask([](uint32_t v) { return v == 0          ? '#'
                                           : v == 0x808080 ? 'g'
                                                           : '.'; }),
            Rows({"#####.", "#ggg#.", "#ggg#.", "#####.", "......"}));
  t.Fill(0x00FFFFFF);
  HGDIOBJ oldPen = SelectObject(t.dc, GetStockObject(NULL_PEN));
  Rectangle(t.dc, 0, 0, 5, 4);
  EXPECT_EQ(t.Mask([](uint32_t v) { return v == 0x808080 ? 'g' : '.'; }),
            Rows({"gggg..", "gggg..", "gggg..", "......", "......"}));
  SelectObject(t.dc, oldPen);
  SelectObject(t.dc, oldBrush);
}

TEST(GdiShape, InsideFramePenStaysInsideTheBox) {
  TestDib t(8, 8);
  PenScope pen(t.dc, PS_INSIDEFRAME, 2, RGB(0, 0, 0));
  SelectObject(t.dc, GetStockObject(NULL_BRUSH));
  Rectangle(t.dc, 1, 1, 7, 7);
  EXPECT_EQ(t.Mask(), Rows({"........", ".######.", ".######.", ".##..##.", ".##..##.", ".######.",
                            ".######.", "........"}));
}

// The extents of everything drawn, or an empty rectangle.
RECT Drawn(const TestDib& t) {
  RECT r{t.w, t.h, 0, 0};
  for (int y = 0; y < t.h; ++y)
    for (int x = 0; x < t.w; ++x)
      if (t.At(x, y) != testing::kSentinel) {
        r.Left = std::min(r.Left, x);
        r.Top = std::min(r.Top, y);
        r.Right = std::max(r.Right, x + 1);
        r.Bottom = std::max(r.Bottom, y + 1);
      }
  return r;
}

TEST(GdiShape, EllipseAndRoundRectExtents) {
  struct Case {
    bool round, pen;
    RECT box, want;
  } cases[] = {
      {false, true, {2, 1, 12, 8}, {2, 1, 12, 8}}, {false, false, {2, 1, 12, 8}, {2, 1, 11, 7}},
      {true, true, {0, 0, 9, 9}, {0, 0, 9, 9}},    {true, false, {0, 0, 9, 9}, {0, 0, 8, 8}},
      {false, true, {3, 3, 4, 4}, {3, 3, 4, 4}},
  };
  for (const auto& c : cases) {
    TestDib t(14, 10);
    SelectObject(t.dc, GetStockObject(BLACK_BRUSH));
    HGDIOBJ oldPen = c.pen ? nullptr : SelectObject(t.dc, GetStockObject(NULL_PEN));
    if (c.round)
      RoundRect(t.dc, c.box.Left, c.box.Top, c.box.Right, c.box.Bottom, 4, 4);
    else
      Ellipse(t.dc, c.box.Left, c.box.Top, c.box.Right, c.box.Bottom);
    EXPECT_EQ(Drawn(t), c.want) << c.round << c.pen << " " << c.box.Left << "," << c.box.Top;
    if (oldPen) SelectObject(t.dc, oldPen);
    SelectObject(t.dc, GetStockObject(WHITE_BRUSH));
  }
}

TEST(GdiShape, EllipseIsSymmetricWithOnePixelOutline) {
  TestDib t(11, 7, 0x00FFFFFF);
  SelectObject(t.dc, GetStockObject(GRAY_BRUSH));
  Ellipse(t.dc, 0, 0, 11, 7);
  t.SavePng("gdi_ellipse");
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 11; ++x) {
      EXPECT_EQ(t.At(x, y), t.At(10 - x, y)) << x << "," << y;
      EXPECT_EQ(t.At(x, y), t.At(x, 6 - y)) << x << "," << y;
    }
  // The outline touches all four sides; the middle is the brush.
  EXPECT_EQ(t.At(0, 3), 0u);
  EXPECT_EQ(t.At(5, 0), 0u);
  EXPECT_EQ(t.At(5, 3), 0x00808080u);
  EXPECT_EQ(t.At(0, 0), 0x00FFFFFFu);
}

TEST(GdiShape, PolygonFillModes) {
  POINT star[5] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
  for (int mode : {ALTERNATE, WINDING}) {
    TestDib t(21, 20, 0x00FFFFFF);
    SelectObject(t.dc, GetStockObject(NULL_PEN));
    SelectObject(t.dc, GetStockObject(BLACK_BRUSH));
    SetPolyFillMode(t.dc, mode);
    Polygon(t.dc, star, 5);
    EXPECT_EQ(t.At(10, 10), mode == WINDING ? 0u : 0x00FFFFFFu) << mode;
    EXPECT_EQ(t.At(10, 3), 0u);
  }
  // A square polygon without pen fills its half-open area; with the pen it covers the corners.
  TestDib t(6, 6);
  SelectObject(t.dc, GetStockObject(BLACK_BRUSH));
  POINT sq[4] = {{1, 1}, {4, 1}, {4, 4}, {1, 4}};
  Polygon(t.dc, sq, 4);
  EXPECT_EQ(Drawn(t), (RECT{1, 1, 5, 5}));
  t.Fill(testing::kSentinel);
  SelectObject(t.dc, GetStockObject(NULL_PEN));
  Polygon(t.dc, sq, 4);
  EXPECT_EQ(Drawn(t), (RECT{1, 1, 4, 4}));
}

// The fill samples where the outline's lines pass, so a small triangle drawn with a pen of its
// own colour is solid and symmetric, whichever way it points.
TEST(GdiShape, SmallTrianglesAreSolidAndSymmetric) {
  struct Case {
    POINT p[3];
    std::vector<std::string> rows;
  } cases[] = {{{{6, 3}, {4, 5}, {2, 3}}, {"..#####..", "...###...", "....#...."}},
               {{{2, 5}, {4, 3}, {6, 5}}, {"....#....", "...###...", "..#####.."}}};
  for (const auto& c : cases) {
    TestDib t(9, 9);
    SelectObject(t.dc, GetStockObject(BLACK_BRUSH));
    SelectObject(t.dc, GetStockObject(BLACK_PEN));
    Polygon(t.dc, c.p, 3);
    std::string got;
    for (int y = 3; y < 6; ++y) {
      for (int x = 0; x < 9; ++x) got += t.At(x, y) == 0 ? '#' : '.';
      got += '\n';
    }
    std::string want;
    for (const auto& row : c.rows) want += row + '\n';
    EXPECT_EQ(got, want);
    EXPECT_EQ(Drawn(t), (RECT{2, 3, 7, 6}));
  }
}

TEST(GdiShape, PieAndChordFillTheirPart) {
  TestDib t(21, 21, 0x00FFFFFF);
  SelectObject(t.dc, GetStockObject(BLACK_BRUSH));
  // A quarter from the right (0 degrees) counter-clockwise to the top (90 degrees).
  Pie(t.dc, 0, 0, 21, 21, 20, 10, 10, 0);
  t.SavePng("gdi_pie");
  EXPECT_EQ(t.At(15, 5), 0u);           // upper right: inside
  EXPECT_EQ(t.At(5, 15), 0x00FFFFFFu);  // lower left: outside
  EXPECT_EQ(t.At(5, 5), 0x00FFFFFFu);
  SetArcDirection(t.dc, AD_CLOCKWISE);
  t.Fill(0x00FFFFFF);
  Pie(t.dc, 0, 0, 21, 21, 20, 10, 10, 0);  // now the other three quarters
  EXPECT_EQ(t.At(15, 5), 0x00FFFFFFu);
  EXPECT_EQ(t.At(5, 15), 0u);
  SetArcDirection(t.dc, AD_COUNTERCLOCKWISE);
  t.Fill(0x00FFFFFF);
  Chord(t.dc, 0, 0, 21, 21, 20, 10, 10, 0);
  EXPECT_EQ(t.At(17, 3), 0u);
  EXPECT_EQ(t.At(12, 8), 0x00FFFFFFu);  // inside the pie but on the centre's side of the chord
}

TEST(GdiShape, PiesAndChordsWithoutAPenAreOnePixelSmallerLikeEllipses) {
  TestDib e(13, 11), p(13, 11), c(13, 11);
  for (TestDib* t : {&e, &p, &c}) {
    SelectObject(t->dc, GetStockObject(NULL_PEN));
    SelectObject(t->dc, GetStockObject(BLACK_BRUSH));
  }
  Ellipse(e.dc, 0, 0, 13, 11);
  Pie(p.dc, 0, 0, 13, 11, 12, 5, 12, 5);  // one point for both radials: the whole ellipse
  EXPECT_EQ(p.Mask(), e.Mask());
  for (int y = 0; y < 11; ++y) EXPECT_EQ(p.At(12, y), testing::kSentinel) << y;
  for (int x = 0; x < 13; ++x) EXPECT_EQ(p.At(x, 10), testing::kSentinel) << x;
  Chord(c.dc, 0, 0, 13, 11, 12, 5, 0, 5);  // the upper half
  for (int x = 0; x < 13; ++x) EXPECT_EQ(c.At(x, 10), testing::kSentinel) << x;
  EXPECT_NE(c.At(6, 1), testing::kSentinel);
}

TEST(GdiShape, AngleArcJoinsTheCurrentPositionAndEndsAtTheSweep) {
  struct Case {
    float start, sweep;
    POINT end;
    POINT inside, outside;  // a pixel of the arc and one of the circle left out
  } cases[] = {
      {0, 90, {10, 2}, {15, 4}, {4, 15}},      // right to top, counter-clockwise
      {0, -90, {10, 18}, {15, 16}, {15, 4}},   // right to bottom, clockwise
      {90, 180, {10, 18}, {2, 10}, {18, 10}},  // top over the left to the bottom
      {0, 360, {18, 10}, {2, 10}, {10, 10}},   // the whole circle (the centre stays empty)
  };
  for (const auto& c : cases) {
    TestDib t(21, 21, 0x00FFFFFF);
    MoveToEx(t.dc, 0, 0, nullptr);
    EXPECT_TRUE(AngleArc(t.dc, 10, 10, 8, c.start, c.sweep));
    t.SavePng("gdi_anglearc_" + std::to_string(static_cast<int>(c.start)) + "_" +
              std::to_string(static_cast<int>(c.sweep)));
    POINT cur;
    GetCurrentPositionEx(t.dc, &cur);
    EXPECT_EQ(cur, c.end) << c.start << " " << c.sweep;
    auto near = [&](POINT p) {
      for (int y = p.Y - 1; y <= p.Y + 1; ++y)
        for (int x = p.X - 1; x <= p.X + 1; ++x)
          if (t.At(x, y) == 0) return true;
      return false;
    };
    EXPECT_TRUE(near(c.inside)) << c.start << " " << c.sweep;
    EXPECT_FALSE(near(c.outside)) << c.start << " " << c.sweep;
    EXPECT_EQ(t.At(0, 0), 0u);  // the line from the current position
  }
}

TEST(GdiEdge, DrawEdgeColoursAndAdjust) {
  TestDib t(4, 4);
  RECT r{0, 0, 4, 4};
  EXPECT_TRUE(DrawEdge(t.dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST | BF_MIDDLE));
  EXPECT_EQ(r, (RECT{2, 2, 2, 2}));
  auto name = [](uint32_t v) {
    switch (v) {
      case 0x00E3E3E3:
        return 'L';  // 3D light
      case 0x00696969:
        return 'D';  // dark shadow
      case 0x00FFFFFF:
        return 'H';  // highlight
      case 0x00A0A0A0:
        return 'S';  // shadow
      case 0x00F0F0F0:
        return 'F';  // face
      default:
        return '?';
    }
  };
  EXPECT_EQ(t.Mask(name), Rows({"LLLD", "LHSD", "LSSD", "DDDD"}));
  TestDib u(4, 4);
  RECT s{0, 0, 4, 4};
  DrawEdge(u.dc, &s, EDGE_SUNKEN, BF_LEFT | BF_TOP | BF_ADJUST);
  EXPECT_EQ(s, (RECT{2, 2, 4, 4}));
  EXPECT_EQ(u.Mask([&](uint32_t v) { return v == testing::kSentinel ? '.' : name(v); }),
            Rows({"SSSS", "SDDD", "SD..", "SD.."}));
  TestDib f(3, 3);
  RECT fr{0, 0, 3, 3};
  DrawEdge(f.dc, &fr, EDGE_SUNKEN, BF_RECT | BF_FLAT);
  EXPECT_EQ(f.Mask([&](uint32_t v) { return v == testing::kSentinel ? '.' : name(v); }),
            Rows({"SSS", "SFS", "SSS"}));
}

TEST(GdiEdge, FocusRectIsADottedXorFrame) {
  TestDib t(6, 4, 0x00FFFFFF);
  RECT r{0, 0, 6, 4};
  DrawFocusRect(t.dc, &r);
  EXPECT_EQ(t.MaskOf(RGB(0, 0, 0)), Rows({"#.#.#.", ".....#", "#.....", ".#.#.#"}));
  DrawFocusRect(t.dc, &r);
  for (int i = 0; i < 24; ++i) EXPECT_EQ(t.bits[i], 0x00FFFFFFu);
}

}  // namespace
}  // namespace qd
