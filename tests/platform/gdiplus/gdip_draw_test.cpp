// Shapes, pens, brushes, clipping and transforms, checked by pixels.
#include <cmath>

#include "gdip_test_util.h"
#include "platform/os/gdi_surface.h"
#include "platform/os/user.h"
#include "platform/os/user_display.h"
#include "tests/platform/os/gdi_test_util.h"

namespace qd::gdiplus::test {
namespace {

using GdipDraw = GdipTest;

TEST_F(GdipDraw, AliasedRectanglesFillTheirAreaAndOutlineOneMore) {
  struct Case {
    const char* what;
    std::function<void(Canvas&)> draw;
    std::string mask;
  };
  Brush brush(0xFF000000);
  Pen pen(0xFF000000);
  const Case cases[] = {
      {"fill covers width x height", [&](Canvas& c) { GdipFillRectangleI(c.g, brush, 1, 1, 4, 2); },
       Rows({"......", ".####.", ".####.", "......", "......"})},
      {"outline covers width + 1", [&](Canvas& c) { GdipDrawRectangleI(c.g, pen, 1, 1, 3, 2); },
       Rows({"......", ".####.", ".#..#.", ".####.", "......"})},
      {"lines include both end points", [&](Canvas& c) { GdipDrawLineI(c.g, pen, 4, 3, 0, 1); },
       Rows({"......", "#.....", ".##...", "...##.", "......"})},
      {"fill by half pixels in half mode",
       [&](Canvas& c) {
         GdipSetPixelOffsetMode(c.g, PixelOffsetModeHalf);
         GdipFillRectangle(c.g, brush, 0.6f, 0.6f, 2, 2);
       },
       Rows({"......", ".##...", ".##...", "......", "......"})},
      {"rectangles wound alike stay filled where they overlap",
       [&](Canvas& c) {
         GpRect r[2] = {{0, 0, 3, 3}, {1, 1, 3, 3}};
         GdipFillRectanglesI(c.g, brush, r, 2);
       },
       Rows({"###...", "####..", "####..", ".###..", "......"})},
  };
  for (const Case& k : cases)
    for (bool bottomUp : {false, true}) {
      Canvas c(6, 5, 0, bottomUp);
      k.draw(c);
      EXPECT_EQ(c.Mask(), k.mask) << k.what << (bottomUp ? " (bottom-up)" : "");
    }
}

TEST_F(GdipDraw, PixelOffsetModeMovesPixelCentres) {
  Brush brush(0xFF000000);
  Pen pen(0xFF000000);
  struct Case {
    PixelOffsetMode mode;
    bool line;
    std::string mask;
  };
  // Centres on integers: a one-pixel line on y = 2 is one crisp row and a fill from 1 to 3
  // half covers its edge pixels; centres at +0.5 turn both around.
  const Case cases[] = {
      {PixelOffsetModeNone, true, Rows({"......", "......", "+####+", "......", "......"})},
      {PixelOffsetModeHalf, true, Rows({"......", "+++++.", "+++++.", "......", "......"})},
      {PixelOffsetModeNone, false, Rows({"......", ".+++..", ".+#+..", ".+++..", "......"})},
      {PixelOffsetModeHalf, false, Rows({"......", ".##...", ".##...", "......", "......"})},
  };
  for (const Case& k : cases) {
    Canvas c(6, 5, 0, k.mode == PixelOffsetModeHalf);
    GdipSetSmoothingMode(c.g, SmoothingModeAntiAlias);
    GdipSetPixelOffsetMode(c.g, k.mode);
    if (k.line)
      GdipDrawLineI(c.g, pen, 0, 2, 5, 2);
    else
      GdipFillRectangleI(c.g, brush, 1, 1, 2, 2);
    EXPECT_EQ(c.Mask(), k.mask) << k.mode << (k.line ? " line" : " fill");
  }
}

TEST_F(GdipDraw, AntialiasedCircleCoversItsArea) {
  Canvas c(40, 40);
  Brush brush(0xFF0000FF);
  GdipSetSmoothingMode(c.g, SmoothingModeAntiAlias);
  GdipSetPixelOffsetMode(c.g, PixelOffsetModeHalf);
  ASSERT_EQ(GdipFillEllipse(c.g, brush, 5, 5, 30, 30), Ok);
  double covered = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) covered += c.Alpha(x, y) / 255.0;
  EXPECT_NEAR(covered, M_PI * 15 * 15, 7.0);
  EXPECT_EQ(c.At(20, 20), 0xFF0000FFu);
  EXPECT_EQ(c.At(5, 5), 0u);
  // The edge is blended, not stepped.
  int partial = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) partial += c.Alpha(x, y) > 0 && c.Alpha(x, y) < 255;
  EXPECT_GT(partial, 60);
}

TEST_F(GdipDraw, EllipseOutlineIsSymmetricAndOnePixelThin) {
  Canvas c(11, 11);
  Pen pen(0xFF000000);
  ASSERT_EQ(GdipDrawEllipseI(c.g, pen, 0, 0, 10, 10), Ok);
  std::string m = c.Mask();
  EXPECT_EQ(m, Rows({"...#####...", "..#.....#..", ".#.......#.", "#.........#", "#.........#", "#.........#",
                     "#.........#", "#.........#", ".#.......#.", "..#.....#..", "...#####..."}));
}

TEST_F(GdipDraw, ArcsRunClockwiseFromThreeOClock) {
  Pen pen(0xFF000000);
  Brush brush(0xFF000000);
  struct Case {
    REAL start, sweep;
    bool right, bottom;  // the quadrant expected
  };
  const Case cases[] = {{0, 90, true, true},
                        {90, 90, false, true},
                        {180, 90, false, false},
                        {-90, 90, true, false},
                        {0, -90, true, false}};
  for (const Case& k : cases) {
    for (bool pie : {false, true}) {
      Canvas c(21, 21);
      if (pie)
        GdipFillPieI(c.g, brush, 0, 0, 20, 20, k.start, k.sweep);
      else
        GdipDrawArcI(c.g, pen, 0, 0, 20, 20, k.start, k.sweep);
      int inside = 0, outside = 0;
      for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 21; ++x) {
          if (!c.Alpha(x, y)) continue;
          bool ok = (k.right ? x >= 10 : x <= 10) && (k.bottom ? y >= 10 : y <= 10);
          (ok ? inside : outside)++;
        }
      EXPECT_GT(inside, 10) << k.start << " " << k.sweep << (pie ? " pie" : " arc");
      EXPECT_EQ(outside, 0) << k.start << " " << k.sweep << (pie ? " pie" : " arc");
    }
  }
}

TEST_F(GdipDraw, FillModesOfASelfCrossingStar) {
  // A five-pointed star drawn in one stroke: its centre is enclosed twice.
  GpPointF star[5];
  for (int i = 0; i < 5; ++i) {
    double a = -M_PI / 2 + i * 4 * M_PI / 5;
    star[i] = {REAL(15 + 14 * std::cos(a)), REAL(15 + 14 * std::sin(a))};
  }
  Brush brush(0xFF000000);
  for (FillMode mode : {FillModeAlternate, FillModeWinding}) {
    Canvas c(31, 31);
    ASSERT_EQ(GdipFillPolygon(c.g, brush, star, 5, mode), Ok);
    EXPECT_EQ(c.Alpha(15, 15), mode == FillModeWinding ? 255u : 0u) << mode;
    EXPECT_EQ(c.Alpha(15, 4), 255u) << mode;  // inside the top point
  }
}

TEST_F(GdipDraw, ClipRectanglesAndRegionCombineModes) {
  Brush brush(0xFF000000);
  struct Case {
    CombineMode mode;
    std::string mask;
  };
  // A = (0,0)-(4,4), B = (2,2)-(6,6).
  const Case cases[] = {
      {CombineModeReplace, Rows({"......", "......", "..####", "..####", "..####", "..####"})},
      {CombineModeIntersect, Rows({"......", "......", "..##..", "..##..", "......", "......"})},
      {CombineModeUnion, Rows({"####..", "####..", "######", "######", "..####", "..####"})},
      {CombineModeXor, Rows({"####..", "####..", "##..##", "##..##", "..####", "..####"})},
      {CombineModeExclude, Rows({"####..", "####..", "##....", "##....", "......", "......"})},
      {CombineModeComplement, Rows({"......", "......", "....##", "....##", "..####", "..####"})},
  };
  for (const Case& k : cases) {
    // Through a region and through the graphics clip.
    Canvas a(6, 6), b(6, 6);
    GpRegion* r = nullptr;
    GpRect ra{0, 0, 4, 4}, rb{2, 2, 4, 4};
    ASSERT_EQ(GdipCreateRegionRectI(&ra, &r), Ok);
    ASSERT_EQ(GdipCombineRegionRectI(r, &rb, k.mode), Ok);
    ASSERT_EQ(GdipFillRegion(a.g, brush, r), Ok);
    EXPECT_EQ(a.Mask(), k.mask) << "region " << k.mode;
    GdipDeleteRegion(r);
    ASSERT_EQ(GdipSetClipRectI(b.g, 0, 0, 4, 4, CombineModeReplace), Ok);
    ASSERT_EQ(GdipSetClipRectI(b.g, 2, 2, 4, 4, k.mode), Ok);
    ASSERT_EQ(GdipFillRectangleI(b.g, brush, 0, 0, 6, 6), Ok);
    EXPECT_EQ(b.Mask(), k.mask) << "clip " << k.mode;
  }
}

TEST_F(GdipDraw, ClipFollowsTheTransformWhenSet) {
  Canvas c(8, 4);
  Brush brush(0xFF000000);
  GdipTranslateWorldTransform(c.g, 4, 0, MatrixOrderAppend);
  ASSERT_EQ(GdipSetClipRectI(c.g, 0, 0, 2, 2, CombineModeReplace), Ok);  // device 4..5
  GdipResetWorldTransform(c.g);
  ASSERT_EQ(GdipFillRectangleI(c.g, brush, 0, 0, 8, 4), Ok);
  EXPECT_EQ(c.Mask(), Rows({"....##..", "....##..", "........", "........"}));
  GpRectF bounds;
  ASSERT_EQ(GdipGetClipBounds(c.g, &bounds), Ok);
  EXPECT_FLOAT_EQ(bounds.X, 4);
  EXPECT_FLOAT_EQ(bounds.Width, 2);
  BOOL visible = FALSE;
  ASSERT_EQ(GdipIsVisiblePointI(c.g, 5, 1, &visible), Ok);
  EXPECT_TRUE(visible);
  ASSERT_EQ(GdipIsVisiblePointI(c.g, 3, 1, &visible), Ok);
  EXPECT_FALSE(visible);
  ASSERT_EQ(GdipIsVisibleRectI(c.g, 0, 0, 3, 3, &visible), Ok);
  EXPECT_FALSE(visible);
  BOOL empty = TRUE;
  ASSERT_EQ(GdipIsClipEmpty(c.g, &empty), Ok);
  EXPECT_FALSE(empty);
  ASSERT_EQ(GdipSetClipRectI(c.g, 0, 0, 1, 1, CombineModeIntersect), Ok);
  ASSERT_EQ(GdipIsClipEmpty(c.g, &empty), Ok);
  EXPECT_TRUE(empty);
}

TEST_F(GdipDraw, WorldTransformMovesAndTurnsShapes) {
  Brush brush(0xFF000000);
  Canvas c(6, 4);
  ASSERT_EQ(GdipRotateWorldTransform(c.g, 90, MatrixOrderAppend), Ok);
  ASSERT_EQ(GdipTranslateWorldTransform(c.g, 3, 0, MatrixOrderAppend), Ok);
  ASSERT_EQ(GdipFillRectangleI(c.g, brush, 0, 0, 3, 1), Ok);  // turned onto x 2..3, y 0..3
  EXPECT_EQ(c.Mask(), Rows({"..#...", "..#...", "..#...", "......"}));
}

TEST_F(GdipDraw, PenUnitsUnderAScaledWorld) {
  struct Case {
    Unit unit;
    int rows;
  };
  // Pixel pens keep their width; world pens grow with the transform.
  for (const Case& k : {Case{UnitPixel, 1}, Case{UnitWorld, 3}}) {
    Canvas c(12, 8);
    Pen pen(0xFF000000, 1, k.unit);
    GdipScaleWorldTransform(c.g, 3, 3, MatrixOrderAppend);
    ASSERT_EQ(GdipDrawLineI(c.g, pen, 0, 1, 3, 1), Ok);
    int rows = 0;
    for (int y = 0; y < 8; ++y) rows += c.Alpha(5, y) == 255;
    EXPECT_EQ(rows, k.rows) << k.unit;
  }
}

TEST_F(GdipDraw, DashesCapsAndWidths) {
  {
    Canvas c(12, 1);
    Pen pen(0xFF000000);
    ASSERT_EQ(GdipSetPenDashStyle(pen, DashStyleDash), Ok);
    ASSERT_EQ(GdipDrawLineI(c.g, pen, 0, 0, 11, 0), Ok);
    EXPECT_EQ(c.Mask(), "###.###.###.\n");
  }
  {
    Canvas c(12, 1);
    Pen pen(0xFF000000);
    const REAL dash[] = {1, 2};
    ASSERT_EQ(GdipSetPenDashArray(pen, dash, 2), Ok);
    ASSERT_EQ(GdipSetPenDashOffset(pen, 1), Ok);
    ASSERT_EQ(GdipDrawLineI(c.g, pen, 0, 0, 11, 0), Ok);
    EXPECT_EQ(c.Mask(), "..#..#..#...\n");
    DashStyle style = DashStyleSolid;
    GdipGetPenDashStyle(pen, &style);
    EXPECT_EQ(style, DashStyleCustom);
  }
  // Caps widen a thick line beyond its end points by half the width.
  struct Case {
    LineCap cap;
    int pixels;
  };
  for (const Case& k : {Case{LineCapFlat, 6}, Case{LineCapSquare, 10}, Case{LineCapRound, 10}}) {
    Canvas c(20, 10);
    GdipSetPixelOffsetMode(c.g, PixelOffsetModeHalf);
    Pen pen(0xFF000000, 4);
    ASSERT_EQ(GdipSetPenLineCap197819(pen, k.cap, k.cap, DashCapFlat), Ok);
    ASSERT_EQ(GdipDrawLineI(c.g, pen, 6, 5, 12, 5), Ok);
    int n = 0;
    for (int x = 0; x < 20; ++x) n += c.Alpha(x, 5) == 255;
    EXPECT_EQ(n, k.pixels) << k.cap;
  }
  // Different start and end caps.
  {
    Canvas c(20, 10);
    GdipSetPixelOffsetMode(c.g, PixelOffsetModeHalf);
    Pen pen(0xFF000000, 4);
    ASSERT_EQ(GdipSetPenStartCap(pen, LineCapSquare), Ok);
    ASSERT_EQ(GdipDrawLineI(c.g, pen, 6, 5, 12, 5), Ok);
    EXPECT_EQ(c.Alpha(4, 5), 255u);
    EXPECT_EQ(c.Alpha(13, 5), 0u);
  }
}

TEST_F(GdipDraw, FarAwayGeometryIsCutToTheTarget) {
  Canvas c(16, 16);
  Pen dotted(0xFF000000);
  GdipSetPenDashStyle(dotted, DashStyleDot);
  EXPECT_EQ(GdipDrawLine(c.g, dotted, -1e7f, 8, 1e7f, 8), ValueOverflow);
  // Millions of dots long, but only the ones on the bitmap are made; the pattern keeps its phase.
  ASSERT_EQ(GdipDrawLine(c.g, dotted, -4000000, 8, 4000000, 8), Ok);
  for (int x = 0; x < 16; ++x) EXPECT_EQ(c.Alpha(x, 8), x % 2 == 0 ? 255u : 0u) << x;
  // A clip path and a region reaching far beyond the bitmap.
  GpPath* path = nullptr;
  GdipCreatePath(FillModeAlternate, &path);
  GpPointF quad[4] = {{-3000000, -2000000}, {2000000, -3000000}, {3000000, 2000000}, {-2000000, 3000000}};
  GdipAddPathPolygon(path, quad, 4);
  ASSERT_EQ(GdipSetClipPath(c.g, path, CombineModeReplace), Ok);
  Brush brush(0xFF0000FF);
  ASSERT_EQ(GdipFillRectangleI(c.g, brush, 0, 0, 16, 4), Ok);
  EXPECT_EQ(c.At(15, 3), 0xFF0000FFu);
  GpRegion* region = nullptr;
  ASSERT_EQ(GdipCreateRegionPath(path, &region), Ok);
  ASSERT_EQ(GdipResetClip(c.g), Ok);
  ASSERT_EQ(GdipFillRegion(c.g, brush, region), Ok);
  EXPECT_EQ(c.At(15, 15), 0xFF0000FFu);
  GdipDeleteRegion(region);
  GdipDeletePath(path);
}

TEST_F(GdipDraw, InsetPenStaysInsideClosedShapes) {
  Canvas c(14, 14);
  Pen pen(0xFF000000, 4);
  ASSERT_EQ(GdipSetPenMode(pen, PenAlignmentInset), Ok);
  GdipSetPixelOffsetMode(c.g, PixelOffsetModeHalf);
  ASSERT_EQ(GdipDrawRectangleI(c.g, pen, 2, 2, 10, 10), Ok);
  EXPECT_EQ(c.Alpha(1, 5), 0u);
  EXPECT_EQ(c.Alpha(2, 5), 255u);
  EXPECT_EQ(c.Alpha(5, 5), 255u);
  EXPECT_EQ(c.Alpha(6, 6), 0u);
}

TEST_F(GdipDraw, TranslucentOverVersusCopy) {
  for (CompositingMode mode : {CompositingModeSourceOver, CompositingModeSourceCopy}) {
    Canvas c(2, 1, 0xFFFFFFFF);
    Brush brush(0x80FF0000);
    GdipSetCompositingMode(c.g, mode);
    ASSERT_EQ(GdipFillRectangleI(c.g, brush, 0, 0, 1, 1), Ok);
    uint32_t p = c.At(0, 0);
    if (mode == CompositingModeSourceOver) {
      EXPECT_EQ(p >> 24, 255u);
      EXPECT_NEAR(int((p >> 8) & 0xFF), 127, 1);  // white shows through the green channel
    } else {
      EXPECT_EQ(p >> 24, 0x80u);
      EXPECT_EQ(p & 0xFFFF, 0u);
    }
    EXPECT_EQ(c.At(1, 0), 0xFFFFFFFFu);
  }
}

TEST_F(GdipDraw, LinearGradientsRunAlongTheirRectangle) {
  Canvas c(10, 10);
  GpLineGradient* grad = nullptr;
  GpRect r{0, 0, 10, 10};
  ASSERT_EQ(GdipCreateLineBrushFromRectI(&r, 0xFFFF0000, 0xFF0000FF, LinearGradientModeHorizontal,
                                         WrapModeTile, &grad),
            Ok);
  GdipSetPixelOffsetMode(c.g, PixelOffsetModeHalf);
  ASSERT_EQ(GdipFillRectangleI(c.g, grad, 0, 0, 10, 10), Ok);
  auto red = [&](int x, int y) { return int((c.At(x, y) >> 16) & 0xFF); };
  auto blue = [&](int x, int y) { return int(c.At(x, y) & 0xFF); };
  EXPECT_GT(red(0, 5), 240);
  EXPECT_GT(blue(9, 5), 240);
  for (int x = 1; x < 10; ++x) EXPECT_LT(red(x, 5), red(x - 1, 5));
  EXPECT_EQ(c.At(3, 0), c.At(3, 9));  // constant down a column
  GdipDeleteBrush(grad);

  // Stops that do not reach the ends fade to transparent there, as the library hands them over.
  Canvas d(10, 1);
  ASSERT_EQ(GdipCreateLineBrushFromRectI(&r, 0, 0, LinearGradientModeHorizontal, WrapModeTileFlipX, &grad),
            Ok);
  const ARGB colors[] = {0, 0xFF00FF00, 0xFF00FF00, 0};
  const REAL positions[] = {0, 0.25f, 0.75f, 1};
  ASSERT_EQ(GdipSetLinePresetBlend(grad, colors, positions, 4), Ok);
  GdipSetPixelOffsetMode(d.g, PixelOffsetModeHalf);
  ASSERT_EQ(GdipFillRectangleI(d.g, grad, 0, 0, 10, 1), Ok);
  EXPECT_LT(d.Alpha(0, 0), 64u);
  EXPECT_EQ(d.At(5, 0), 0xFF00FF00u);
  EXPECT_LT(d.Alpha(9, 0), 64u);
  const REAL bad[] = {0.1f, 0.5f, 1};
  EXPECT_EQ(GdipSetLinePresetBlend(grad, colors, bad, 3), InvalidParameter);
  EXPECT_EQ(GdipSetLineWrapMode(grad, WrapModeClamp), InvalidParameter);
  GdipDeleteBrush(grad);

  // Forward diagonal: the corners hold the two colours, the other diagonal the middle.
  Canvas e(20, 10);
  GpRect wide{0, 0, 20, 10};
  ASSERT_EQ(GdipCreateLineBrushFromRectI(&wide, 0xFF000000, 0xFFFFFFFF, LinearGradientModeForwardDiagonal,
                                         WrapModeTile, &grad),
            Ok);
  GdipSetPixelOffsetMode(e.g, PixelOffsetModeHalf);
  ASSERT_EQ(GdipFillRectangleI(e.g, grad, 0, 0, 20, 10), Ok);
  EXPECT_LT(e.At(0, 0) & 0xFF, 20u);
  EXPECT_GT(e.At(19, 9) & 0xFF, 235u);
  EXPECT_NEAR(int(e.At(19, 0) & 0xFF), int(e.At(0, 9) & 0xFF), 8);
  EXPECT_NEAR(int(e.At(19, 0) & 0xFF), 128, 16);
  GdipDeleteBrush(grad);
}

TEST_F(GdipDraw, TextureBrushTilesItsImage) {
  uint32_t tex[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
  GpBitmap* img = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromScan0(2, 2, 8, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(tex), &img), Ok);
  // R G / B W repeated over 4 x 4 in every wrap mode (Clamp paints the one tile only).
  struct Case {
    WrapMode wrap;
    const char* rows;
  };
  for (const Case& k :
       {Case{WrapModeTile, "RGRG BWBW RGRG BWBW"}, Case{WrapModeTileFlipX, "RGGR BWWB RGGR BWWB"},
        Case{WrapModeTileFlipY, "RGRG BWBW BWBW RGRG"}, Case{WrapModeTileFlipXY, "RGGR BWWB BWWB RGGR"},
        Case{WrapModeClamp, "RG.. BW.. .... ...."}}) {
    SCOPED_TRACE(k.wrap);
    GpTexture* brush = nullptr;
    ASSERT_EQ(GdipCreateTexture(img, k.wrap, &brush), Ok);
    WrapMode back{};
    GdipGetTextureWrapMode(brush, &back);
    EXPECT_EQ(back, k.wrap);
    Canvas c(4, 4);
    ASSERT_EQ(GdipFillRectangleI(c.g, brush, 0, 0, 4, 4), Ok);
    std::string mask;
    for (int y = 0; y < 4; ++y) {
      if (y) mask += ' ';
      for (int x = 0; x < 4; ++x) {
        const uint32_t v = c.At(x, y);
        mask += v == tex[0]   ? 'R'
                : v == tex[1] ? 'G'
                : v == tex[2] ? 'B'
                : v == tex[3] ? 'W'
                : v == 0      ? '.'
                              : '?';
      }
    }
    EXPECT_EQ(mask, k.rows);
    GdipDeleteBrush(brush);
  }
  // The brush keeps its own copy of the image.
  GpTexture* brush = nullptr;
  ASSERT_EQ(GdipCreateTexture2I(img, WrapModeTile, 1, 0, 1, 2, &brush), Ok);
  GdipDisposeImage(img);
  Canvas c(2, 2);
  ASSERT_EQ(GdipFillRectangleI(c.g, brush, 0, 0, 2, 2), Ok);
  EXPECT_EQ(c.At(0, 0), tex[1]);
  EXPECT_EQ(c.At(1, 1), tex[3]);
  GdipDeleteBrush(brush);
}

TEST_F(GdipDraw, ThroughADcWithOriginsAndClip) {
  struct Case {
    const char* what;
    bool topDown;
    int bits;
  };
  for (const Case& k :
       {Case{"top-down 32", true, 32}, Case{"bottom-up 32", false, 32}, Case{"24 bits", true, 24}}) {
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO bi = qd::testing::Info32(8, 6, k.topDown);
    bi.bmiHeader.biBitCount = static_cast<WORD>(k.bits);
    void* bits = nullptr;
    HBITMAP bm = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bm);
    RECT all{0, 0, 8, 6};
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(dc, &all, white);
    DeleteObject(white);
    SetViewportOrgEx(dc, 3, 1, nullptr);
    SetWindowOrgEx(dc, 1, 0, nullptr);  // logical (1,0) lands on device (3,1)
    IntersectClipRect(dc, 1, 0, 5, 3);  // device x 3..6, y 1..3
    GpGraphics* g = nullptr;
    ASSERT_EQ(GdipCreateFromHDC(dc, &g), Ok);
    Brush brush(0xFF000000);
    ASSERT_EQ(GdipFillRectangleI(g, brush, 0, 0, 100, 100), Ok);
    GdipDeleteGraphics(g);
    std::string mask;
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 8; ++x) mask += GetPixel(dc, x - 2, y - 1) == 0 ? '#' : '.';
      mask += '\n';
    }
    EXPECT_EQ(mask, Rows({"........", "...####.", "...####.", "...####.", "........", "........"})) << k.what;
    SelectObject(dc, old);
    DeleteObject(bm);
    DeleteDC(dc);
  }
}

TEST_F(GdipDraw, ThroughAWindowSurfaceDc) {
  // A child window's DC: device (0,0) at (2,1) of the surface, visible only in part.
  auto surface = std::make_shared<gdi::Surface>();
  surface->Resize(8, 5);
  HRGN visible = CreateRectRgn(0, 0, 3, 2);
  HDC dc = gdi::CreateSurfaceDC(surface, POINT{2, 1}, visible, nullptr);
  DeleteObject(visible);
  GpGraphics* g = nullptr;
  ASSERT_EQ(GdipCreateFromHDC(dc, &g), Ok);
  GpRectF bounds;
  ASSERT_EQ(GdipGetVisibleClipBounds(g, &bounds), Ok);
  EXPECT_EQ(bounds.Width, 3);
  EXPECT_EQ(bounds.Height, 2);
  Brush brush(0xFF0000FF);
  ASSERT_EQ(GdipFillRectangleI(g, brush, -5, -5, 50, 50), Ok);
  GdipDeleteGraphics(g);
  gdi::DeleteSurfaceDC(dc);
  std::string mask;
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 8; ++x) mask += surface->Row(y)[x] == 0xFF0000FFu ? '#' : '.';
    mask += '\n';
  }
  EXPECT_EQ(mask, Rows({"........", "..###...", "..###...", "........", "........"}));
}

TEST_F(GdipDraw, OnAWindowThroughItsDc) {
  WNDCLASSEXW wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"QdGdipTestWindow";
  RegisterClassExW(&wc);
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, u"", WS_POPUP | WS_VISIBLE, 10, 10, 20, 10, nullptr,
                              nullptr, nullptr, nullptr);
  ASSERT_NE(hwnd, nullptr);
  GpGraphics* g = nullptr;
  ASSERT_EQ(GdipCreateFromHWND(hwnd, &g), Ok);
  Brush brush(0xFF0000FF);
  ASSERT_EQ(GdipFillRectangleI(g, brush, 2, 2, 5, 3), Ok);
  ASSERT_EQ(GdipDeleteGraphics(g), Ok);
  os::WindowPixels px = os::ReadWindowPixels(hwnd, false);
  ASSERT_EQ(px.width, 20);
  EXPECT_EQ(px.At(2, 2), 0xFF0000FFu);
  EXPECT_EQ(px.At(6, 4), 0xFF0000FFu);
  EXPECT_NE(px.At(7, 4), 0xFF0000FFu);
  DestroyWindow(hwnd);
  os::ResetWindowManagerForTesting();
}

TEST_F(GdipDraw, HatchBrushesFollowTheRenderingOrigin) {
  GpHatch* hatch = nullptr;
  ASSERT_EQ(GdipCreateHatchBrush(HatchStyleHorizontal, 0xFF000000, 0xFFFFFFFF, &hatch), Ok);
  for (INT origin : {0, 3}) {
    Canvas c(4, 9);
    GdipSetRenderingOrigin(c.g, 0, origin);
    ASSERT_EQ(GdipFillRectangleI(c.g, hatch, 0, 0, 4, 9), Ok);
    for (int y = 0; y < 9; ++y)
      EXPECT_EQ(c.At(2, y), (y - origin) % 8 == 0 ? 0xFF000000u : 0xFFFFFFFFu) << origin << " " << y;
  }
  GpHatch* bad = nullptr;
  EXPECT_EQ(GdipCreateHatchBrush(static_cast<HatchStyle>(HatchStyleTotal), 0, 0, &bad), InvalidParameter);
  GdipDeleteBrush(hatch);
}

TEST_F(GdipDraw, GdiDrawingOnAnImageBecomesOpaque) {
  Canvas c(4, 2);
  HDC dc = nullptr;
  ASSERT_EQ(GdipGetDC(c.g, &dc), Ok);
  RECT r{0, 0, 2, 1};
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ASSERT_EQ(GdipReleaseDC(c.g, dc), Ok);
  EXPECT_EQ(c.At(0, 0), 0xFF000000u);
  EXPECT_EQ(c.At(1, 0), 0xFF000000u);
  EXPECT_EQ(c.At(2, 0), 0u);  // untouched stays transparent
  EXPECT_EQ(c.At(0, 1), 0u);
}

TEST_F(GdipDraw, PathsCurvesAndBounds) {
  GpPath* path = nullptr;
  ASSERT_EQ(GdipCreatePath(FillModeAlternate, &path), Ok);
  ASSERT_EQ(GdipAddPathEllipseI(path, 0, 0, 10, 20), Ok);
  INT count = 0;
  ASSERT_EQ(GdipGetPointCount(path, &count), Ok);
  EXPECT_EQ(count, 13);  // four Béziers around the ellipse
  std::vector<BYTE> types(13);
  ASSERT_EQ(GdipGetPathTypes(path, types.data(), 13), Ok);
  EXPECT_EQ(types[0], PathPointTypeStart);
  EXPECT_EQ(types[12], PathPointTypeBezier | PathPointTypeCloseSubpath);
  GpRectF b;
  ASSERT_EQ(GdipGetPathWorldBounds(path, &b, nullptr, nullptr), Ok);
  EXPECT_NEAR(b.X, 0, 0.01);
  EXPECT_NEAR(b.Width, 10, 0.01);
  EXPECT_NEAR(b.Height, 20, 0.01);
  BOOL in = FALSE;
  ASSERT_EQ(GdipIsVisiblePathPoint(path, 5, 10, nullptr, &in), Ok);
  EXPECT_TRUE(in);
  ASSERT_EQ(GdipIsVisiblePathPoint(path, 0.5f, 1, nullptr, &in), Ok);
  EXPECT_FALSE(in);
  Pen pen(0xFF000000, 2);
  ASSERT_EQ(GdipIsOutlineVisiblePathPoint(path, 0.5f, 10, pen, nullptr, &in), Ok);
  EXPECT_TRUE(in);
  // A curve through points passes through them.
  ASSERT_EQ(GdipResetPath(path), Ok);
  GpPointF pts[3] = {{0, 0}, {10, 10}, {20, 0}};
  ASSERT_EQ(GdipAddPathCurve(path, pts, 3), Ok);
  ASSERT_EQ(GdipGetPointCount(path, &count), Ok);
  EXPECT_EQ(count, 7);
  std::vector<GpPointF> p(7);
  ASSERT_EQ(GdipGetPathPoints(path, p.data(), 7), Ok);
  EXPECT_FLOAT_EQ(p[3].X, 10);
  EXPECT_FLOAT_EQ(p[3].Y, 10);
  // Flattening leaves only lines.
  ASSERT_EQ(GdipFlattenPath(path, nullptr, 0.25f), Ok);
  ASSERT_EQ(GdipGetPointCount(path, &count), Ok);
  types.resize(size_t(count));
  ASSERT_EQ(GdipGetPathTypes(path, types.data(), count), Ok);
  for (int i = 1; i < count; ++i) EXPECT_EQ(types[size_t(i)] & PathPointTypePathTypeMask, PathPointTypeLine);
  GdipDeletePath(path);
}

TEST_F(GdipDraw, LongChainsOfCombinations) {
  // Thousands of nested clips and combined regions stay usable.
  Canvas c(8, 8);
  for (int i = 0; i < 5000; ++i) ASSERT_EQ(GdipSetClipRectI(c.g, i % 3, 0, 8, 8, CombineModeIntersect), Ok);
  GpRectF b;
  ASSERT_EQ(GdipGetClipBounds(c.g, &b), Ok);
  EXPECT_FLOAT_EQ(b.X, 2);
  GpRegion* r = nullptr;
  GdipCreateRegion(&r);
  GdipSetEmpty(r);
  for (int i = 0; i < 5000; ++i) {
    GpRect cell{i % 8, (i / 8) % 8, 1, 1};
    ASSERT_EQ(GdipCombineRegionRectI(r, &cell, (i / 64) % 2 ? CombineModeXor : CombineModeUnion), Ok);
  }
  GdipResetClip(c.g);
  Brush brush(0xFF000000);
  ASSERT_EQ(GdipFillRegion(c.g, brush, r), Ok);
  BOOL v = FALSE;
  // 5000 steps: 78 whole passes over the 64 cells and 8 more; the passes cancel out in pairs.
  ASSERT_EQ(GdipIsVisibleRegionPointI(r, 3, 0, nullptr, &v), Ok);
  EXPECT_TRUE(v);
  ASSERT_EQ(GdipIsVisibleRegionPointI(r, 3, 5, nullptr, &v), Ok);
  EXPECT_FALSE(v);
  EXPECT_EQ(c.Alpha(3, 0), 255u);
  EXPECT_EQ(c.Alpha(3, 5), 0u);
  GdipDeleteRegion(r);
}

TEST_F(GdipDraw, RegionQueries) {
  GpRegion* r = nullptr;
  GpRectF rect{1.5f, 2, 3, 4};
  ASSERT_EQ(GdipCreateRegionRect(&rect, &r), Ok);
  Canvas c(1, 1);
  GpRectF b;
  ASSERT_EQ(GdipGetRegionBounds(r, c.g, &b), Ok);
  EXPECT_FLOAT_EQ(b.X, 1.5f);
  EXPECT_FLOAT_EQ(b.Height, 4);
  BOOL v = FALSE;
  ASSERT_EQ(GdipIsVisibleRegionPoint(r, 4.4f, 5.9f, nullptr, &v), Ok);
  EXPECT_TRUE(v);
  ASSERT_EQ(GdipIsVisibleRegionPoint(r, 4.5f, 3, nullptr, &v), Ok);
  EXPECT_FALSE(v);
  HRGN h = nullptr;
  ASSERT_EQ(GdipGetRegionHRgn(r, c.g, &h), Ok);
  RECT box;
  GetRgnBox(h, &box);
  EXPECT_EQ(box, (RECT{1, 2, 4, 6}));  // pixels whose centres are inside
  GpRegion* fromH = nullptr;
  ASSERT_EQ(GdipCreateRegionHrgn(h, &fromH), Ok);
  DeleteObject(h);
  BOOL eq = FALSE;
  ASSERT_EQ(GdipIsEqualRegion(r, fromH, c.g, &eq), Ok);
  EXPECT_TRUE(eq);
  GpMatrix* m = nullptr;
  GdipCreateMatrix(&m);
  GdipTranslateRegion(fromH, 10, 0);
  UINT n = 0;
  ASSERT_EQ(GdipGetRegionScansCount(fromH, &n, m), Ok);
  ASSERT_EQ(n, 1u);
  GpRect scan;
  INT got = 0;
  ASSERT_EQ(GdipGetRegionScansI(fromH, &scan, &got, m), Ok);
  EXPECT_EQ(scan.X, 11);
  ASSERT_EQ(GdipSetInfinite(r), Ok);
  ASSERT_EQ(GdipGetRegionHRgn(r, c.g, &h), Ok);
  EXPECT_EQ(h, nullptr);
  ASSERT_EQ(GdipSetEmpty(r), Ok);
  BOOL empty = FALSE;
  ASSERT_EQ(GdipIsEmptyRegion(r, c.g, &empty), Ok);
  EXPECT_TRUE(empty);
  GdipDeleteMatrix(m);
  GdipDeleteRegion(r);
  GdipDeleteRegion(fromH);
}

}  // namespace
}  // namespace qd::gdiplus::test
