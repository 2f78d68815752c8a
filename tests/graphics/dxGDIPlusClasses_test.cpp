// GDI+ matrices, gradient stops, brushes and pens: lazy handles, pushed settings, dash patterns.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/base/exceptions.h"
#include "tests/graphics/graphics_test_util.h"
#include "ui/graphics/dxGDIPlusClasses.h"

namespace qd {
namespace {

class GdipClassesTest : public testing::GraphicsTest {
 protected:
  void SetUp() override {
    testing::GraphicsTest::SetUp();
    gdiplus::RegisterModule();
    ASSERT_TRUE(CheckGdiPlus(false));
  }
  void TearDown() override {
    GdiPlusUnload();
    testing::GraphicsTest::TearDown();
  }
};

std::vector<float> GdipClassesTestDashes(TdxGPPen& APen) {
  INT count = 0;
  GdipCheck(GdipGetPenDashCount(APen.NativeHandle(), &count));
  std::vector<float> result(count);
  if (count > 0) GdipCheck(GdipGetPenDashArray(APen.NativeHandle(), result.data(), count));
  return result;
}

std::vector<float> GdipClassesTestElements(TdxGPMatrix& AMatrix) {
  std::vector<float> m(6);
  AMatrix.GetElements(m[0], m[1], m[2], m[3], m[4], m[5]);
  return m;
}

TEST_F(GdipClassesTest, MatrixOperations) {
  TdxGPMatrix m(3, 1, 4, 1, 5, 9);
  m.Scale(TdxPointF(2, 2), TdxPointF(10, 10));  // replaces whatever the matrix held
  EXPECT_EQ(GdipClassesTestElements(m), (std::vector<float>{2, 0, 0, 2, -10, -10}));

  std::unique_ptr<TdxGPMatrix> flip(TdxGPMatrix::CreateFlip(true, false, 5, 7));
  EXPECT_EQ(GdipClassesTestElements(*flip), (std::vector<float>{-1, 0, 0, 1, 10, 0}));
  EXPECT_EQ(flip->TransformPoint(TPoint{2, 3}), (TPoint{8, 3}));

  TdxGPMatrix r;
  r.Rotate(90, TdxPointF(10, 0));  // about (10, 0): (11, 0) goes to (10, 1)
  const TdxPointF p = r.TransformPoint(TdxPointF(11, 0));
  EXPECT_NEAR(p.X, 10, 1e-4);
  EXPECT_NEAR(p.Y, 1, 1e-4);
  TdxGPMatrix ra;
  ra.Translate(3, 4);
  ra.Rotate(90, TdxPointF(10, 0), gdiplus::MatrixOrderAppend);  // (0,0) -> (3,4) -> about (10,0)
  const TdxPointF q = ra.TransformPoint(TdxPointF(0, 0));
  EXPECT_NEAR(q.X, 6, 1e-4);
  EXPECT_NEAR(q.Y, -7, 1e-4);

  TdxGPMatrix b(0, 1, -1, 0, 0, 0);  // a quarter turn
  const TdxRectF bounds = b.GetBoundingRectangle(TdxRectF(0, 0, 10, 20));
  EXPECT_EQ(bounds.Left, -20.f);
  EXPECT_EQ(bounds.Right, 0.f);
  EXPECT_EQ(bounds.Bottom, 10.f);

  int changes = 0;
  TdxGPMatrix c;
  c.OnChange = TNotifyEvent([](TObject*) {});
  struct Counter {
    int* n;
    void Changed(TObject*) { ++*n; }
  } counter{&changes};
  c.OnChange = TNotifyEvent(&counter, &Counter::Changed);
  c.Translate(1, 1);
  c.Invert();
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(c.IsInvertible());
  EXPECT_FALSE(c.IsIdentity());
  EXPECT_EQ(c.OffsetX(), -1.f);
  std::unique_ptr<TdxGPMatrix> clone(TdxGPMatrix::Clone(&c));
  EXPECT_EQ(GdipClassesTestElements(*clone), GdipClassesTestElements(c));
  EXPECT_EQ(TdxGPMatrix::Clone(nullptr), nullptr);
}

TEST_F(GdipClassesTest, GradientStopsAreSortedAndPaddedWithTransparentEnds) {
  TdxGPBrushGradientPoints points;
  points.Add(0xFF0000FF, 0.75f);
  points.Add(0xFFFF0000, 0.25f);
  EXPECT_EQ(points.Offsets(0), 0.25f);
  EXPECT_EQ(points.Colors(0), 0xFFFF0000u);
  const TdxAlphaColor* colors;
  const float* offsets;
  int32_t count;
  points.CalculateParams(colors, offsets, count);
  ASSERT_EQ(count, 4);
  EXPECT_EQ(std::vector<float>(offsets, offsets + 4), (std::vector<float>{0, 0.25f, 0.75f, 1}));
  EXPECT_EQ(std::vector<TdxAlphaColor>(colors, colors + 4),
            (std::vector<TdxAlphaColor>{0, 0xFFFF0000, 0xFF0000FF, 0}));

  TdxGPBrushGradientPoints ends;
  ends.Add(1, 0);
  ends.Add(2, 1);
  ends.CalculateParams(colors, offsets, count);
  EXPECT_EQ(count, 2);  // nothing padded

  TdxGPBrushGradientPoints inv;
  inv.Add(0xA, 0);
  inv.Add(0xB, 0.3f);
  inv.InvertOrder();
  EXPECT_NEAR(inv.Offsets(0), 0.7f, 1e-6);
  EXPECT_EQ(inv.Colors(0), 0xBu);
  EXPECT_EQ(inv.Offsets(1), 1.f);
  EXPECT_EQ(inv.Colors(1), 0xAu);

  // Capacity grows by 16, then 32, then by half.
  TdxGPBrushGradientPoints many;
  for (int i = 0; i < 17; ++i) many.Add(0, i / 20.f);
  EXPECT_EQ(many.Capacity(), 32);  // 16 is not above 16
  many.Delete(0);
  EXPECT_EQ(many.Count(), 16);
  EXPECT_EQ(many.Offsets(0), 1 / 20.f);
  try {
    many.Colors(16);
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), String(u"List index out of bounds (16)"));
  }
  EXPECT_THROW(many.Delete(-1), Exception);
  many.SetCapacity(3);
  EXPECT_EQ(many.Count(), 3);
}

TEST_F(GdipClassesTest, GradientBrushHandleFollowsTargetRectAndStops) {
  TdxGPBrush brush;
  brush.SetStyle(gpbsGradient);
  EXPECT_TRUE(brush.IsEmpty());
  brush.SetTargetRect(TRect{0, 0, 0, 10});  // inflated to width 2: not empty
  brush.GradientPoints()->Add(0xFFFF0000, 0);
  brush.GradientPoints()->Add(0xFF0000FF, 1);
  gdiplus::BrushType type{};
  GdipCheck(GdipGetBrushType(brush.NativeHandle(), &type));
  EXPECT_EQ(type, gdiplus::BrushTypeLinearGradient);
  void* handle = brush.Handle();
  brush.SetTargetRect(TRect{0, 0, 0, 10});
  EXPECT_EQ(brush.Handle(), handle);  // the same rectangle keeps the handle
  brush.SetTargetRect(TRect{1, 0, 1, 10});
  EXPECT_FALSE(brush.HandleAllocated());  // a move frees it
  brush.Handle();
  brush.GradientPoints()->Add(0xFF00FF00, 0.5f);
  EXPECT_FALSE(brush.HandleAllocated());

  // A zero-size target rectangle (as stored) gives the transparent solid brush.
  TdxGPBrush empty;
  empty.SetStyle(gpbsGradient);
  empty.GradientPoints()->Add(0xFFFF0000, 0);
  empty.SetTargetRect(TdxGpRectF{5, 5, -2, 10});
  GdipCheck(GdipGetBrushType(empty.NativeHandle(), &type));
  EXPECT_EQ(type, gdiplus::BrushTypeSolidColor);
  gdiplus::ARGB color = 1;
  GdipCheck(GdipGetSolidFillColor(reinterpret_cast<gdiplus::GpSolidFill*>(empty.NativeHandle()), &color));
  EXPECT_EQ(color, 0u);
}

TEST_F(GdipClassesTest, SolidBrushPushesItsColourAndCopies) {
  TdxGPBrush brush;
  brush.SetColor(0xFF102030);
  void* handle = brush.Handle();
  brush.SetColor(0x80405060);
  EXPECT_EQ(brush.Handle(), handle);
  gdiplus::ARGB color = 0;
  GdipCheck(GdipGetSolidFillColor(static_cast<gdiplus::GpSolidFill*>(handle), &color));
  EXPECT_EQ(color, 0x80405060u);
  TdxGPBrush copy;
  copy.SetTargetRect(TRect{0, 0, 5, 5});
  brush.GradientPoints()->Add(7, 0.5f);
  brush.SetStyle(gpbsGradient);
  copy.Assign(&brush);
  EXPECT_EQ(copy.Style(), gpbsGradient);
  EXPECT_EQ(copy.Color(), 0x80405060u);
  EXPECT_EQ(copy.GradientPoints()->Count(), 1);
  EXPECT_TRUE(dxGpRectIsEqual(copy.TargetRect(), brush.TargetRect()));
  brush.SetStyle(gpbsClear);
  EXPECT_TRUE(brush.IsEmpty());
}

TEST_F(GdipClassesTest, PenDashPatternsAreInPixels) {
  TdxGPPen dash(0xFF000000, 2, gppsDash, 1);
  EXPECT_EQ(GdipClassesTestDashes(dash), (std::vector<float>{4.5f, 2}));
  TdxGPPen dot(0xFF000000, 1, gppsDashDotDot, 2);
  EXPECT_EQ(GdipClassesTestDashes(dot), (std::vector<float>{18, 8, 4, 8, 4, 8}));

  // A custom dash array survives copying and a new handle.
  TdxGPPen custom(0xFF000000, 1);
  custom.SetDashArray({3, 1}, 2);
  EXPECT_EQ(custom.Style(), gppsDashDotDot);
  EXPECT_EQ(GdipClassesTestDashes(custom), (std::vector<float>{6, 2}));
  TdxGPPen copy;
  copy.Assign(&custom);
  EXPECT_EQ(GdipClassesTestDashes(copy), (std::vector<float>{6, 2}));
  custom.FreeHandle();
  EXPECT_EQ(GdipClassesTestDashes(custom), (std::vector<float>{6, 2}));
  // Setting the style replaces the array by the standard pattern, even the same style.
  custom.SetStyle(gppsDashDotDot);
  gdiplus::DashStyle style{};
  GdipCheck(gdiplus::GdipGetPenDashStyle(custom.NativeHandle(), &style));
  EXPECT_EQ(style, gdiplus::DashStyleDashDotDot);
  custom.SetDashArray({});
  EXPECT_EQ(custom.Style(), gppsSolid);
}

TEST_F(GdipClassesTest, PenSettingsReachTheLiveHandle) {
  TdxGPPen pen(0xFF00FF00, 3);
  GpPen* handle = pen.NativeHandle();
  pen.SetWidth(-4);
  float width = 1;
  GdipCheck(GdipGetPenWidth(handle, &width));
  EXPECT_EQ(width, 0.f);
  EXPECT_TRUE(pen.IsEmpty());
  pen.SetWidth(5);
  pen.SetLineJoin(gdiplus::LineJoinRound);
  pen.SetLineStartCapStyle(gpcsRound);
  pen.SetDashCapStyle(gpdcTriangle);
  pen.SetMiterLimit(4);
  gdiplus::LineJoin join{};
  GdipCheck(gdiplus::GdipGetPenLineJoin(handle, &join));
  EXPECT_EQ(join, gdiplus::LineJoinRound);
  gdiplus::LineCap cap{};
  GdipCheck(gdiplus::GdipGetPenStartCap(handle, &cap));
  EXPECT_EQ(cap, gdiplus::LineCapRound);
  gdiplus::DashCap dashCap{};
  GdipCheck(GdipGetPenDashCap197819(handle, &dashCap));
  EXPECT_EQ(dashCap, gdiplus::DashCapTriangle);
  float miter = 0;
  GdipCheck(gdiplus::GdipGetPenMiterLimit(handle, &miter));
  EXPECT_EQ(miter, 4.f);
  // A new brush colour is pushed into the pen.
  pen.Brush()->SetColor(0xFFFF0000);
  EXPECT_EQ(pen.NativeHandle(), handle);
  gdiplus::ARGB color = 0;
  GdipCheck(gdiplus::GdipGetPenColor(handle, &color));
  EXPECT_EQ(color, 0xFFFF0000u);
}

// A dashed, anti-aliased line and a four-stop gradient, drawn and checked by their pixels.
TEST_F(GdipClassesTest, DrawsDashesAndGradients) {
  testing::TestBitmap bmp(80, 40, 0xFFFFFFFF);
  GpGraphics* g = nullptr;
  GdipCheck(GdipCreateFromHDC(bmp.DC(), &g));
  TdxGPBrush brush;
  brush.SetStyle(gpbsGradient);
  brush.SetTargetRect(TRect{0, 0, 80, 20});
  brush.GradientPoints()->Add(0xFFFF0000, 0.25f);
  brush.GradientPoints()->Add(0xFF0000FF, 0.75f);
  GdipCheck(GdipFillRectangleI(g, brush.NativeHandle(), 0, 0, 80, 20));
  TdxGPPen pen(0xFF000000, 2, gppsDash);
  GdipCheck(GdipSetSmoothingMode(g, gdiplus::SmoothingModeAntiAlias));
  GdipCheck(GdipDrawLine(g, pen.NativeHandle(), 0, 30, 80, 30));
  GdipDeleteGraphics(g);
  bmp.SavePng("gdip_classes_dash_gradient", 4);

  // Red at a quarter, blue at three quarters, fading to transparent (the white shows) at the ends.
  auto channel = [&](int x, int shift) { return (bmp.At(x, 10) >> shift) & 0xFF; };
  EXPECT_GT(channel(20, 16), 200u);
  EXPECT_LT(channel(20, 0), 60u);
  EXPECT_GT(channel(59, 0), 200u);
  EXPECT_LT(channel(59, 16), 60u);
  EXPECT_GT(channel(0, 8), 200u);  // white: transparent at the left end
  EXPECT_GT(channel(79, 8), 200u);
  // Dashes of 9 pixels and gaps of 4 along y = 30; pixel centres lie on whole coordinates, so
  // the pixels at the ends of each dash are half covered ('+').
  std::string row;
  for (int x = 0; x < 26; ++x) {
    const uint32_t v = bmp.At(x, 30) & 0xFF;
    row += v < 64 ? '#' : v > 192 ? '.' : '+';
  }
  EXPECT_EQ(row, "+########+...+########+...");
}

}  // namespace
}  // namespace qd
