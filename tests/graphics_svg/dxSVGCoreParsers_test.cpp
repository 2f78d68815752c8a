// The SVG value parsers: numbers, lengths, rectangles, the font shorthand, path data and
// transforms.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/graphics_svg/svg_test_util.h"

namespace qd {
namespace {

std::vector<float> SVGParsersTestNumbers(const char* S) {
  std::vector<float> v;
  TdxSVGParserNumbers::AsNumbers(S, [&](float f) { v.push_back(f); });
  return v;
}

TEST(SVGParsers, NumberListsSplitAtSignsAndSecondPeriods) {
  const struct {
    const char* text;
    std::vector<float> numbers;
  } cases[] = {
      {"10-5", {10, -5}},
      {"1.5.5", {1.5f, 0.5f}},
      {"1e-5", {1e-5f}},
      {"1,2 3", {1, 2, 3}},
      {" -1.5e2,+3 ", {-150, 3}},
      {"1 x 2", {1, 2}},
      {"", {}},
      {"-.5-.5", {-0.5f, -0.5f}},
      {"1e999 2", {2}},
      {"0.1.2.3", {0.1f, 0.2f, 0.3f}},
  };
  for (const auto& c : cases) {
    const std::vector<float> got = SVGParsersTestNumbers(c.text);
    ASSERT_EQ(got.size(), c.numbers.size()) << c.text;
    for (size_t i = 0; i < got.size(); ++i) EXPECT_FLOAT_EQ(got[i], c.numbers[i]) << c.text;
  }
  TdxSVGPoints points;
  TdxSVGParserNumbers::AsPoints("1,2 3,4 5", points);
  ASSERT_EQ(points.size(), 2u);  // the odd last number is ignored
  EXPECT_EQ(points[1], TdxPointF(3, 4));
}

TEST(SVGParsers, LengthsWithUnitsConvertAt96DPI) {
  const struct {
    const char* text;
    bool ok;
    float pixels;
  } cases[] = {
      {"12", true, 12},   {"12PX", true, 12}, {"1in", true, 96},  {"2.54cm", true, 96}, {"25.4mm", true, 96},
      {"72pt", true, 96}, {"6pc", true, 96},  {" 3px ", true, 3}, {"5.", false, 0},     {"", false, 0},
      {"px", false, 0},   {"12em", false, 0}, {"-4", true, -4},   {"1e2", true, 100},
  };
  for (const auto& c : cases) {
    TdxSVGValue v;
    EXPECT_EQ(TdxSVGParserValue::Parse(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_NEAR(v.ToPixels(96), c.pixels, 1e-3) << c.text;
    }
  }
  TdxSVGValue percent;
  ASSERT_TRUE(TdxSVGParserValue::Parse("50%", percent));
  EXPECT_FLOAT_EQ(percent.ToPixels(200, 96), 100);
  EXPECT_THROW(percent.ToPixels(96), EArgumentException);
}

TEST(SVGParsers, RectanglesFontsAndNumberText) {
  EXPECT_EQ(TdxSVGParserRect::Parse("new 0 0 16 16"), TdxRectF(0, 0, 16, 16));
  EXPECT_EQ(TdxSVGParserRect::Parse("1 2 3 4"), TdxRectF(1, 2, 4, 6));
  EXPECT_EQ(TdxSVGParserRect::Parse("1 2 3"), TdxRectF());

  String name;
  TFontStyles styles;
  float size;
  ASSERT_TRUE(TdxSVGFontStyleString::Parse("italic bold 12px Arial", name, styles, size));
  EXPECT_EQ(name, u"Arial");
  EXPECT_TRUE(styles.Contains(fsItalic) && styles.Contains(fsBold));
  EXPECT_FLOAT_EQ(size, 12);
  ASSERT_TRUE(TdxSVGFontStyleString::Parse("12pt Arial", name, styles, size));
  EXPECT_FLOAT_EQ(size, 16);
  EXPECT_FALSE(TdxSVGFontStyleString::Parse("bold 12px", name, styles, size));
  EXPECT_EQ(TdxSVGFontStyleString::Build(u"Arial", TFontStyles{fsBold, fsItalic}, 12.7f),
            u"italic bold 12px Arial");

  EXPECT_EQ(dxSVGFloatToString(1.5), "1.5");
  EXPECT_EQ(dxSVGFloatToString(2), "2");
  EXPECT_EQ(dxSVGFloatToString(0.1234567), "0.12346");
  EXPECT_EQ(dxSVGFloatToString(-0.000001), "0");
}

// The points of a parsed path, for comparing paths.
std::vector<gdiplus::GpPointF> SVGParsersTestPathPoints(const char* S) {
  TdxSVGPath path;
  path.FromString(S);
  int32_t count = path.PointCount();
  std::vector<gdiplus::GpPointF> points(count);
  if (count) gdiplus::GdipGetPathPoints(path.Handle(), points.data(), count);
  return points;
}

class SVGPathTest : public testing::SVGTest {};

TEST_F(SVGPathTest, CommandsWithImplicitRepeatsAndRelativePoints) {
  const struct {
    const char* a;
    const char* b;
  } same[] = {
      {"M10 10 L20 20z", "M10,10L20,20Z"},
      {"m10 10 l10 0", "M10 10 L20 10"},
      {"M0 0 10 0 10 10", "M0 0 L10 0 L10 10"},  // implicit lines after a move
      {"m5 5 5 0 0 5", "M5 5 L10 5 L10 10"},     // relative implicit lines
      {"M0 0h10v10h-10z", "M0 0 L10 0 L10 10 L0 10 Z"},
      {"M0 0L1.5.5", "M0 0 L1.5 0.5"},
      {"M0 0 C0 10 10 10 10 0 S20 -10 20 0", "M0 0 C0 10 10 10 10 0 C10 -10 20 -10 20 0"},
      {"M0 0 Q5 10 10 0 T20 0", "M0 0 Q5 10 10 0 Q15 -10 20 0"},
      {"M0 0 m", "M0 0"},                 // a move without a point is ignored
      {"M0 0 L10 10 20", "M0 0 L10 10"},  // surplus numbers are ignored
  };
  for (const auto& c : same) {
    const auto a = SVGParsersTestPathPoints(c.a), b = SVGParsersTestPathPoints(c.b);
    ASSERT_EQ(a.size(), b.size()) << c.a;
    for (size_t i = 0; i < a.size(); ++i) {
      EXPECT_NEAR(a[i].X, b[i].X, 1e-4) << c.a;
      EXPECT_NEAR(a[i].Y, b[i].Y, 1e-4) << c.a;
    }
  }
  // "1E5" splits at the capital E and loses its exponent; "1e5" is one number.
  TdxSVGParserPath parser;
  parser.Parse("M0 1e1");
  ASSERT_GT(parser.GetCommandCount(), 0);
  EXPECT_FLOAT_EQ(parser.GetCommand(0)->FinishPoint.Y, 10);
  parser.Parse("M0 1E1");
  ASSERT_GT(parser.GetCommandCount(), 0);
  EXPECT_FLOAT_EQ(parser.GetCommand(0)->FinishPoint.Y, 1);
}

TEST_F(SVGPathTest, ArcsBecomeBezierSegments) {
  // A 270-degree arc: three Bezier segments of four points each (the path keeps each
  // segment's start), ending at the given point.
  auto arc = SVGParsersTestPathPoints("M10 0 A10 10 0 1 1 0 -10");
  ASSERT_EQ(arc.size(), 12u);
  EXPECT_NEAR(arc.back().X, 0, 1e-3);
  EXPECT_NEAR(arc.back().Y, -10, 1e-3);
  // A point of the first segment lies on the circle around the origin.
  const auto mid = arc[3];
  EXPECT_NEAR(std::hypot(mid.X, mid.Y), 10, 1e-3);
  // Radii too small for the end points: a half ellipse with scaled radii.
  auto half = SVGParsersTestPathPoints("M0 0 A1 1 0 0 1 20 0");
  ASSERT_EQ(half.size(), 8u);
  EXPECT_NEAR(half[3].X, 10, 1e-3);
  EXPECT_NEAR(std::fabs(half[3].Y), 10, 1e-3);
  // rx 0 and negative radii.
  EXPECT_EQ(SVGParsersTestPathPoints("M0 0 A0 5 0 0 1 10 0").size(), 2u);
  EXPECT_EQ(SVGParsersTestPathPoints("M0 0 A-10 -10 0 0 1 20 0").size(),
            SVGParsersTestPathPoints("M0 0 A10 10 0 0 1 20 0").size());
  EXPECT_TRUE(SVGParsersTestPathPoints("M0 0 A5 5 0 0 1 0 0").size() <= 1u);
}

TEST_F(SVGPathTest, TransformListsApplyRightToLeft) {
  const struct {
    const char* text;
    TdxPointF in, out;
  } cases[] = {
      {"rotate(90 10 10)", {10, 0}, {20, 10}},
      {"scale(2)", {3, 4}, {6, 8}},
      {"scale(2, 3)", {3, 4}, {6, 12}},
      {"translate(5)", {1, 1}, {6, 1}},
      {"translate(10,20) scale(2)", {1, 1}, {12, 22}},
      {"scale(2) translate(10,20)", {1, 1}, {22, 42}},
      {"matrix(1 0 0 1 7 8)", {0, 0}, {7, 8}},
      {"skewX(45)", {0, 10}, {10, 10}},
      {"skewY(45)", {10, 0}, {10, 10}},
      {"Scale(2) bogus(1) translate(1 1)", {0, 0}, {1, 1}},
      {"rotate(90), translate(1 0)", {0, 0}, {0, 1}},
  };
  for (const auto& c : cases) {
    TdxMatrix m;
    TdxSVGParserTransform::Parse(c.text, m);
    const TdxPointF p = m.Transform(c.in);
    EXPECT_NEAR(p.X, c.out.X, 1e-4) << c.text;
    EXPECT_NEAR(p.Y, c.out.Y, 1e-4) << c.text;
  }
}

}  // namespace
}  // namespace qd
