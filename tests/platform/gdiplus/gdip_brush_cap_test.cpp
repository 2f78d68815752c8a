// Path gradient brushes, custom and arrow line caps, and graphics containers, checked by pixels.
#include "gdip_test_util.h"

namespace qd::gdiplus::test {
namespace {

using GdipPathGradient = GdipTest;
using GdipLineCaps = GdipTest;
using GdipContainers = GdipTest;

constexpr int kRed = 16, kGreen = 8, kBlue = 0, kAlpha = 24;

struct PathGradientBrush {
  GpPathGradient* b = nullptr;
  PathGradientBrush(std::initializer_list<GpPointF> points, WrapMode wrap = WrapModeClamp) {
    std::vector<GpPointF> p(points);
    EXPECT_EQ(GdipCreatePathGradient(p.data(), INT(p.size()), wrap, &b), Ok);
  }
  ~PathGradientBrush() { GdipDeleteBrush(b); }
  operator GpBrush*() const { return b; }
};

// A 40 x 40 square at (5, 5) inside a 50 x 50 canvas.
PathGradientBrush SquareGradient(WrapMode wrap = WrapModeClamp) {
  return PathGradientBrush({{5, 5}, {45, 5}, {45, 45}, {5, 45}}, wrap);
}

TEST_F(GdipPathGradient, RunsFromTheOutlineToTheCentre) {
  Canvas c(50, 50);
  PathGradientBrush b = SquareGradient();
  GpPointF centre;
  ASSERT_EQ(GdipGetPathGradientCenterPoint(b.b, &centre), Ok);
  EXPECT_FLOAT_EQ(centre.X, 25);
  EXPECT_FLOAT_EQ(centre.Y, 25);
  ASSERT_EQ(GdipSetPathGradientCenterColor(b.b, 0xFFFF0000), Ok);
  ARGB blue = 0xFF0000FF;
  INT one = 1;
  ASSERT_EQ(GdipSetPathGradientSurroundColorsWithCount(b.b, &blue, &one), Ok);
  GdipSetPixelOffsetMode(c.g, PixelOffsetModeHalf);
  ASSERT_EQ(GdipFillRectangleI(c.g, b, 0, 0, 50, 50), Ok);
  c.SavePng("pathgradient_square");

  // Nothing outside the outline; the centre red, the edges blue, half-way a mix.
  EXPECT_EQ(c.At(2, 25), 0u);
  EXPECT_EQ(c.At(47, 47), 0u);
  EXPECT_GT(c.Channel(25, 25, kRed), 230);
  EXPECT_GT(c.Channel(25, 5, kBlue), 230);
  EXPECT_GT(c.Channel(44, 25, kBlue), 220);
  EXPECT_NEAR(c.Channel(25, 15, kRed), 128, 20);
  EXPECT_NEAR(c.Channel(15, 25, kBlue), 128, 20);
  EXPECT_EQ(c.Channel(25, 15, kAlpha), 255);
  // Symmetric about the centre.
  EXPECT_NEAR(c.Channel(12, 30, kRed), c.Channel(37, 19, kRed), 4);
}

TEST_F(GdipPathGradient, SurroundColoursBelongToTheirPoints) {
  Canvas c(50, 50);
  PathGradientBrush b = SquareGradient();
  const ARGB corners[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00};
  INT n = 4;
  ASSERT_EQ(GdipSetPathGradientSurroundColorsWithCount(b.b, corners, &n), Ok);
  ASSERT_EQ(GdipSetPathGradientCenterColor(b.b, 0xFFFFFFFF), Ok);
  ASSERT_EQ(GdipFillRectangleI(c.g, b, 0, 0, 50, 50), Ok);
  c.SavePng("pathgradient_corners");
  EXPECT_GT(c.Channel(6, 6, kRed), 200);
  EXPECT_LT(c.Channel(6, 6, kBlue), 60);
  EXPECT_GT(c.Channel(44, 6, kGreen), 200);
  EXPECT_LT(c.Channel(44, 6, kRed), 60);
  EXPECT_GT(c.Channel(44, 44, kBlue), 200);
  EXPECT_GT(c.Channel(6, 44, kRed), 200);
  EXPECT_GT(c.Channel(6, 44, kGreen), 200);
  EXPECT_EQ(c.At(25, 25), 0xFFFFFFFFu);

  ARGB back[4] = {};
  INT count = 4;
  ASSERT_EQ(GdipGetPathGradientSurroundColorsWithCount(b.b, back, &count), Ok);
  EXPECT_EQ(back[2], 0xFF0000FFu);
  INT five = 5;
  const ARGB many[5] = {};
  EXPECT_EQ(GdipSetPathGradientSurroundColorsWithCount(b.b, many, &five), InvalidParameter);
}

TEST_F(GdipPathGradient, FocusScalesAndBlendShapeTheRamp) {
  // Focus 0.5: the inner half-size square is solid centre colour.
  Canvas c(50, 50);
  PathGradientBrush b = SquareGradient();
  ARGB black = 0xFF000000;
  INT one = 1;
  GdipSetPathGradientSurroundColorsWithCount(b.b, &black, &one);
  GdipSetPathGradientCenterColor(b.b, 0xFFFFFFFF);
  ASSERT_EQ(GdipSetPathGradientFocusScales(b.b, 0.5f, 0.5f), Ok);
  GdipSetPixelOffsetMode(c.g, PixelOffsetModeHalf);
  ASSERT_EQ(GdipFillRectangleI(c.g, b, 0, 0, 50, 50), Ok);
  c.SavePng("pathgradient_focus");
  for (int x : {17, 25, 32}) EXPECT_EQ(c.At(x, 25), 0xFFFFFFFFu) << x;
  // Half-way from the outline (5) to the focus outline (15).
  EXPECT_NEAR(c.Channel(25, 10, kRed), 140, 20);
  EXPECT_LT(c.Channel(25, 5, kRed), 20);

  // Blend: the outer half keeps the surround colour, the inner half ramps to the centre.
  Canvas d(50, 50);
  PathGradientBrush e = SquareGradient();
  GdipSetPathGradientSurroundColorsWithCount(e.b, &black, &one);
  GdipSetPathGradientCenterColor(e.b, 0xFFFFFFFF);
  const REAL factors[] = {0, 0, 1}, positions[] = {0, 0.5f, 1};
  ASSERT_EQ(GdipSetPathGradientBlend(e.b, factors, positions, 3), Ok);
  INT count = 0;
  ASSERT_EQ(GdipGetPathGradientBlendCount(e.b, &count), Ok);
  EXPECT_EQ(count, 3);
  GdipSetPixelOffsetMode(d.g, PixelOffsetModeHalf);
  ASSERT_EQ(GdipFillRectangleI(d.g, e, 0, 0, 50, 50), Ok);
  EXPECT_EQ(d.At(25, 12), 0xFF000000u);
  EXPECT_GT(d.Channel(25, 24, kRed), 200);
  const REAL bad[] = {0.2f, 1};
  EXPECT_EQ(GdipSetPathGradientBlend(e.b, factors, bad, 2), InvalidParameter);

  // Preset colours replace centre and surround.
  const ARGB preset[] = {0xFF00FF00, 0xFF0000FF};
  const REAL presetPositions[] = {0, 1};
  ASSERT_EQ(GdipSetPathGradientPresetBlend(e.b, preset, presetPositions, 2), Ok);
  Canvas f(50, 50);
  GdipSetPixelOffsetMode(f.g, PixelOffsetModeHalf);
  ASSERT_EQ(GdipFillRectangleI(f.g, e, 0, 0, 50, 50), Ok);
  EXPECT_GT(f.Channel(25, 25, kBlue), 230);
  EXPECT_GT(f.Channel(25, 5, kGreen), 230);
}

TEST_F(GdipPathGradient, TransformAndTilingMoveAndRepeatTheBrush) {
  Canvas c(100, 50);
  PathGradientBrush b = SquareGradient(WrapModeTile);
  ARGB black = 0xFF000000;
  INT one = 1;
  GdipSetPathGradientSurroundColorsWithCount(b.b, &black, &one);
  GdipSetPathGradientCenterColor(b.b, 0xFFFFFFFF);
  GdipSetPixelOffsetMode(c.g, PixelOffsetModeHalf);
  ASSERT_EQ(GdipFillRectangleI(c.g, b, 0, 0, 100, 50), Ok);
  c.SavePng("pathgradient_tiled");
  // The 40-wide tile repeats: its centre at 25 and again at 65.
  EXPECT_GT(c.Channel(25, 25, kRed), 220);
  EXPECT_GT(c.Channel(65, 25, kRed), 220);
  EXPECT_LT(c.Channel(45, 25, kRed), 40);
  EXPECT_EQ(c.Channel(85, 10, kAlpha), 255);

  PathGradientBrush t = SquareGradient();
  GdipSetPathGradientSurroundColorsWithCount(t.b, &black, &one);
  GdipSetPathGradientCenterColor(t.b, 0xFFFFFFFF);
  ASSERT_EQ(GdipTranslatePathGradientTransform(t.b, 50, 0, MatrixOrderAppend), Ok);
  Canvas d(100, 50);
  GdipSetPixelOffsetMode(d.g, PixelOffsetModeHalf);
  ASSERT_EQ(GdipFillRectangleI(d.g, t, 0, 0, 100, 50), Ok);
  EXPECT_EQ(d.At(25, 25), 0u);
  EXPECT_GT(d.Channel(75, 25, kRed), 220);
}

TEST_F(GdipPathGradient, FromPathAndInvalidInput) {
  GpPath* path = nullptr;
  ASSERT_EQ(GdipCreatePath(FillModeAlternate, &path), Ok);
  ASSERT_EQ(GdipAddPathEllipse(path, 0, 0, 40, 20), Ok);
  GpPathGradient* b = nullptr;
  ASSERT_EQ(GdipCreatePathGradientFromPath(path, &b), Ok);
  GpRectF r;
  ASSERT_EQ(GdipGetPathGradientRect(b, &r), Ok);
  EXPECT_FLOAT_EQ(r.Width, 40);
  GpPointF centre;
  GdipGetPathGradientCenterPoint(b, &centre);
  EXPECT_NEAR(centre.X, 20, 0.01);
  EXPECT_NEAR(centre.Y, 10, 0.01);
  WrapMode wrap;
  GdipGetPathGradientWrapMode(b, &wrap);
  EXPECT_EQ(wrap, WrapModeClamp);
  GpBrushType type;
  GdipGetBrushType(b, &type);
  EXPECT_EQ(type, BrushTypePathGradient);
  GpBrush* clone = nullptr;
  ASSERT_EQ(GdipCloneBrush(b, &clone), Ok);
  ARGB colour = 0;
  EXPECT_EQ(GdipGetPathGradientCenterColor(static_cast<GpPathGradient*>(clone), &colour), Ok);
  EXPECT_EQ(colour, 0xFFFFFFFFu);
  GdipDeleteBrush(clone);
  GdipDeleteBrush(b);
  GdipDeletePath(path);

  const GpPointF one[] = {{1, 1}};
  EXPECT_EQ(GdipCreatePathGradient(one, 1, WrapModeClamp, &b), OutOfMemory);
  EXPECT_EQ(GdipCreatePathGradient(nullptr, 3, WrapModeClamp, &b), InvalidParameter);
  const GpPointF nan[] = {{0, 0}, {NAN, 1}, {1, 1}};
  EXPECT_EQ(GdipCreatePathGradient(nan, 3, WrapModeClamp, &b), InvalidParameter);
}

// ---- Line caps -------------------------------------------------------------------------------

TEST_F(GdipLineCaps, ArrowCapsPointOutOfTheLine) {
  Canvas c(60, 40);
  Pen pen(0xFF000000, 2);
  GpAdjustableArrowCap* arrow = nullptr;
  ASSERT_EQ(GdipCreateAdjustableArrowCap(4, 4, TRUE, &arrow), Ok);
  ASSERT_EQ(GdipSetPenCustomEndCap(pen, arrow), Ok);
  GdipSetSmoothingMode(c.g, SmoothingModeAntiAlias);
  GdipSetPixelOffsetMode(c.g, PixelOffsetModeHalf);
  ASSERT_EQ(GdipDrawLine(c.g, pen, 10, 20, 50, 20), Ok);
  c.SavePng("arrowcap");
  // The head is 8 pixels long and 8 wide: its wings reach 3 pixels off the line near the base.
  EXPECT_EQ(c.Alpha(43, 17), 255u);
  EXPECT_EQ(c.Alpha(43, 22), 255u);
  EXPECT_EQ(c.Alpha(46, 20), 255u);
  EXPECT_EQ(c.Alpha(52, 20), 0u);  // nothing beyond the tip
  EXPECT_EQ(c.Alpha(20, 17), 0u);  // the line itself stays 2 wide
  EXPECT_EQ(c.Alpha(11, 20), 255u);

  GpCustomLineCap* back = nullptr;
  ASSERT_EQ(GdipGetPenCustomEndCap(pen, &back), Ok);
  CustomLineCapType type;
  ASSERT_EQ(GdipGetCustomLineCapType(back, &type), Ok);
  EXPECT_EQ(type, CustomLineCapTypeAdjustableArrow);
  LineCap end;
  GdipGetPenEndCap(pen, &end);
  EXPECT_EQ(end, LineCapCustom);
  GdipDeleteCustomLineCap(back);

  // An open arrow is stroked with the pen: the inside of the head stays empty.
  Canvas d(60, 40);
  GdipSetAdjustableArrowCapFillState(arrow, FALSE);
  ASSERT_EQ(GdipSetAdjustableArrowCapHeight(arrow, 6), Ok);
  ASSERT_EQ(GdipSetPenCustomStartCap(pen, arrow), Ok);
  GdipSetSmoothingMode(d.g, SmoothingModeAntiAlias);
  GdipSetPixelOffsetMode(d.g, PixelOffsetModeHalf);
  ASSERT_EQ(GdipDrawLine(d.g, pen, 10, 20, 50, 20), Ok);
  d.SavePng("arrowcap_open");
  // The start head is 12 pixels long: its upper wing runs from (10, 20) to (22, 16).
  EXPECT_EQ(d.Alpha(20, 18), 0u);    // between the wing and the line
  EXPECT_EQ(d.Alpha(20, 16), 255u);  // on the wing
  REAL h = 0;
  GdipGetAdjustableArrowCapHeight(arrow, &h);
  EXPECT_FLOAT_EQ(h, 6);
  GdipDeleteCustomLineCap(arrow);
}

TEST_F(GdipLineCaps, CustomCapsDrawTheirPathsAndShortenTheLine) {
  // A bar across the end (stroke path) with the line stopping 3 widths before the end.
  GpPath* bar = nullptr;
  GdipCreatePath(FillModeAlternate, &bar);
  GdipAddPathLine(bar, -3, 0, 3, 0);
  GpCustomLineCap* cap = nullptr;
  ASSERT_EQ(GdipCreateCustomLineCap(nullptr, bar, LineCapFlat, 3, &cap), Ok);
  Canvas c(60, 40);
  Pen pen(0xFF000000, 2);
  ASSERT_EQ(GdipSetPenCustomEndCap(pen, cap), Ok);
  GdipSetSmoothingMode(c.g, SmoothingModeAntiAlias);
  GdipSetPixelOffsetMode(c.g, PixelOffsetModeHalf);
  ASSERT_EQ(GdipDrawLine(c.g, pen, 10, 20, 50, 20), Ok);
  c.SavePng("custom_cap_bar");
  EXPECT_EQ(c.Alpha(40, 20), 255u);  // the line up to 44
  EXPECT_EQ(c.Alpha(46, 20), 0u);    // gap before the bar
  EXPECT_EQ(c.Alpha(49, 15), 255u);  // the bar, 12 pixels across at x 49..50
  EXPECT_EQ(c.Alpha(50, 25), 255u);
  EXPECT_EQ(c.Alpha(49, 12), 0u);

  REAL inset = 0;
  GdipGetCustomLineCapBaseInset(cap, &inset);
  EXPECT_FLOAT_EQ(inset, 3);
  EXPECT_EQ(GdipCreateCustomLineCap(nullptr, nullptr, LineCapFlat, 0, &cap), InvalidParameter);
  GdipDeleteCustomLineCap(cap);
  GdipDeletePath(bar);
}

// ---- Containers ------------------------------------------------------------------------------

TEST_F(GdipContainers, NestedSpaceAndClipAreRestoredAtTheEnd) {
  Canvas c(40, 40);
  Brush black(0xFF000000), grey(0xFF808080);
  GdipTranslateWorldTransform(c.g, 10, 10, MatrixOrderPrepend);
  GdipSetClipRectI(c.g, 0, 0, 20, 20, CombineModeReplace);  // device 10..30
  GraphicsContainer state = 0;
  ASSERT_EQ(GdipBeginContainer2(c.g, &state), Ok);
  // A fresh space inside, still moved and clipped by the outside.
  GpMatrix* m = nullptr;
  GdipCreateMatrix(&m);
  GdipGetWorldTransform(c.g, m);
  BOOL identity = FALSE;
  GdipIsMatrixIdentity(m, &identity);
  EXPECT_TRUE(identity);
  GpRegion* clip = nullptr;
  GdipCreateRegion(&clip);
  GdipGetClip(c.g, clip);
  BOOL infinite = FALSE;
  GdipIsInfiniteRegion(clip, c.g, &infinite);
  EXPECT_TRUE(infinite);
  GdipSetClipRectI(c.g, 5, 5, 100, 100, CombineModeReplace);  // device 15.., within the outer clip
  ASSERT_EQ(GdipFillRectangleI(c.g, black, 0, 0, 100, 100), Ok);
  GraphicsState inner = 0;
  GdipSaveGraphics(c.g, &inner);
  ASSERT_EQ(GdipEndContainer(c.g, state), Ok);
  // Inside the outer clip (device 10..30) and the inner one (device 15..).
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
      ASSERT_EQ(c.Alpha(x, y), x >= 15 && x < 30 && y >= 15 && y < 30 ? 255u : 0u) << x << "," << y;
  // After the end: the outer transform and clip again (a save made inside is gone too).
  GdipGetWorldTransform(c.g, m);
  REAL e[6];
  GdipGetMatrixElements(m, e);
  EXPECT_FLOAT_EQ(e[4], 10);
  ASSERT_EQ(GdipFillRectangleI(c.g, grey, -10, -10, 15, 15), Ok);
  EXPECT_EQ(c.At(10, 10), 0xFF808080u);
  EXPECT_EQ(c.At(9, 9), 0u);
  EXPECT_EQ(GdipRestoreGraphics(c.g, inner), Ok);  // already gone: nothing happens
  GdipGetWorldTransform(c.g, m);
  GdipGetMatrixElements(m, e);
  EXPECT_FLOAT_EQ(e[4], 10);
  GdipDeleteRegion(clip);
  GdipDeleteMatrix(m);
}

TEST_F(GdipContainers, RectangleMappingAndRestoringAnEarlierState) {
  Canvas c(40, 40);
  Brush black(0xFF000000);
  GraphicsState before = 0;
  GdipSaveGraphics(c.g, &before);
  const GpRectF dst{10, 10, 20, 20}, src{0, 0, 10, 10};
  GraphicsContainer state = 0;
  ASSERT_EQ(GdipBeginContainer(c.g, &dst, &src, UnitPixel, &state), Ok);
  ASSERT_EQ(GdipFillRectangleI(c.g, black, 0, 0, 10, 10), Ok);  // 10..30 on the device
  EXPECT_EQ(c.At(10, 10), 0xFF000000u);
  EXPECT_EQ(c.At(29, 29), 0xFF000000u);
  EXPECT_EQ(c.At(30, 30), 0u);
  EXPECT_EQ(c.At(9, 9), 0u);
  // Restoring a state saved before the container ends it.
  ASSERT_EQ(GdipRestoreGraphics(c.g, before), Ok);
  ASSERT_EQ(GdipFillRectangleI(c.g, black, 0, 0, 2, 2), Ok);
  EXPECT_EQ(c.At(1, 1), 0xFF000000u);
  EXPECT_EQ(c.At(3, 3), 0u);
  const GpRectF empty{0, 0, 0, 10};
  EXPECT_EQ(GdipBeginContainer(c.g, &dst, &empty, UnitPixel, &state), InvalidParameter);
}

}  // namespace
}  // namespace qd::gdiplus::test
