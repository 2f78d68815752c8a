// The GDI+ canvas (exact and anti-aliased shapes, stacks) and the paint canvases (nesting,
// buffering, failures), the tiler and the right-to-left mirror.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/base/exceptions.h"
#include "tests/graphics/graphics_test_util.h"
#include "ui/graphics/dxGDIPlusCanvas.h"

namespace qd {
namespace {

class GdipCanvasTest : public testing::GraphicsTest {
 protected:
  void SetUp() override {
    testing::GraphicsTest::SetUp();
    gdiplus::RegisterModule();
    ASSERT_TRUE(CheckGdiPlus(false));
    dxGDIPlusClasses::Initialize();
    dxGDIPlusCanvas::Initialize();
  }
  void TearDown() override {
    dxGpSetDeviceCapsFunc(nullptr);
    dxGDIPlusCanvas::Finalize();
    dxGDIPlusClasses::Finalize();
    GdiPlusUnload();
    testing::GraphicsTest::TearDown();
  }
};

char GdipCanvasTestDark(uint32_t v) {
  return (v & 0xFF) < 128 ? '#' : '.';
}

TEST_F(GdipCanvasTest, IntegerOutlinesAndFillsCoverExactPixels) {
  testing::TestBitmap bmp(12, 12, 0xFFFFFF);
  {
    TdxGPCanvas canvas(bmp.DC());
    canvas.SetSmoothingMode(smNone);
    canvas.Rectangle(TRect{0, 0, 10, 10}, TdxAlphaColor(0xFF000000), TdxAlphaColor(0), 1, psSolid);
  }
  EXPECT_EQ(bmp.Mask(GdipCanvasTestDark),
            testing::Rows({"##########..", "#........#..", "#........#..", "#........#..", "#........#..",
                           "#........#..", "#........#..", "#........#..", "#........#..", "##########..",
                           "............", "............"}));
  bmp.Fill(testing::kSentinel);
  {
    TdxGPCanvas canvas(bmp.DC());
    canvas.SetSmoothingMode(smNone);
    canvas.FillRectangle(TRect{0, 0, 10, 10}, TdxAlphaColor(0xFF000000));
  }
  EXPECT_EQ(bmp.DrawnBounds(), (TRect{0, 0, 10, 10}));  // not decreased
}

TEST_F(GdipCanvasTest, ArcsRunCounterClockwise) {
  testing::TestBitmap bmp(21, 21);
  {
    TdxGPCanvas canvas(bmp.DC());
    canvas.SetSmoothingMode(smNone);
    canvas.Arc(TRect{0, 0, 21, 21}, 0, 90, clBlack);
  }
  bmp.SavePng("gdip_canvas_arc", 8);
  // From 3 o'clock up to 12 o'clock: the top right quarter only.
  EXPECT_EQ(bmp.DrawnBounds(), (TRect{10, 0, 21, 11}));
  EXPECT_EQ(bmp.At(20, 10) & 0xFF, 0u);
  EXPECT_EQ(bmp.At(10, 0) & 0xFF, 0u);
}

TEST_F(GdipCanvasTest, AntiAliasedShapesAndGradients) {
  testing::TestBitmap bmp(60, 40, 0xFFFFFF);
  {
    TdxGPCanvas canvas(bmp.DC());
    canvas.SetSmoothingMode(smAntiAlias);
    canvas.Ellipse(TdxRectF(2, 2, 38, 38), TdxAlphaColor(0xFF000000), TdxAlphaColor(0xFFFF0000), 2, psSolid);
    canvas.FillRectangleByGradient(TRect{40, 0, 60, 20}, 0xFF0000FF, 0x00010203,
                                   gdiplus::LinearGradientModeVertical);
    canvas.FillRectangleByGradient(TRect{40, 20, 60, 40}, 0xFF000000, 0xFFFFFFFF,
                                   gdiplus::LinearGradientModeHorizontal);
  }
  bmp.SavePng("gdip_canvas_aa", 6);
  EXPECT_EQ(bmp.At(20, 20) & 0xFFFFFF, 0xFF0000u);  // the red inside
  EXPECT_EQ(bmp.At(0, 0) & 0xFFFFFF, 0xFFFFFFu);    // outside the ellipse
  // Partly covered pixels along the outline: grey, neither white nor the full black.
  int partial = 0;
  for (int x = 0; x < 40; ++x) {
    const uint32_t g = bmp.At(x, 20) & 0xFF00;
    partial += g > 0x1000 && g < 0xF000;
  }
  EXPECT_GE(partial, 2);
  // The default second colour gives a solid fill.
  EXPECT_EQ(bmp.At(42, 1) & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(bmp.At(58, 18) & 0xFFFFFF, 0x0000FFu);
  // A black-to-white gradient grows lighter from left to right.
  EXPECT_LT(bmp.At(41, 30) & 0xFF, bmp.At(50, 30) & 0xFF);
  EXPECT_LT(bmp.At(50, 30) & 0xFF, bmp.At(58, 30) & 0xFF);
}

TEST_F(GdipCanvasTest, EmptyPensDrawNothingAndEmptyPointArraysRaise) {
  testing::TestBitmap bmp(10, 10);
  TdxGPCanvas canvas(bmp.DC());
  const std::vector<TPoint> points{{0, 0}, {9, 9}};
  canvas.Polyline(points, static_cast<TdxGPPen*>(nullptr));
  TdxGPPen empty(0xFF000000, 0);
  canvas.Polyline(points, &empty);
  canvas.Polyline(points, TdxAlphaColor(0), 1);
  canvas.Rectangle(TRect{0, 0, 10, 10}, clNone, clNone);
  EXPECT_EQ(bmp.CountDrawn(), 0);
  std::vector<TdxPointF> none;
  try {
    canvas.TransformPoints(gdiplus::CoordinateSpaceDevice, gdiplus::CoordinateSpaceWorld, none);
    ADD_FAILURE();
  } catch (const EArgumentOutOfRangeException& e) {
    EXPECT_EQ(e.Message(), String(u"points"));
  }
  // A canvas without a graphics handle fails in GDI+.
  TdxGPCanvas bare;
  EXPECT_THROW(bare.Line(0, 0, 5, 5, TdxAlphaColor(0xFF000000)), EdxGdipException);
}

TEST_F(GdipCanvasTest, CurvesPassThroughTheirPointsInEveryForm) {
  testing::TestBitmap bmp(30, 20);
  {
    TdxGPCanvas canvas(bmp.DC());
    canvas.SetSmoothingMode(smNone);
    canvas.Curve(std::vector<TdxPointF>{{2, 15}, {15, 3}, {28, 15}}, clRed, 1, psSolid, 255);
  }
  // Through the top point, symmetric, and rounded rather than the two straight segments.
  EXPECT_EQ(bmp.Rgb(15, 3), 0xFF0000u);
  EXPECT_EQ(bmp.DrawnBounds().Top, 3);
  int above = 0;
  for (int y = 0; y < 9; ++y) above += bmp.At(8, y) != testing::kSentinel;
  EXPECT_GE(above, 1);  // at x 8 the curve runs above the straight line (y 9.5)
  const std::vector<TPoint> ints{{2, 15}, {15, 3}, {28, 15}};
  testing::TestBitmap other(30, 20);
  {
    TdxGPCanvas canvas(other.DC());
    canvas.SetSmoothingMode(smNone);
    canvas.Curve(ints, clRed, 1, psSolid, 255);
  }
  EXPECT_EQ(other.MaskOf(clRed), bmp.MaskOf(clRed));
  testing::TestBitmap none(30, 20);
  {
    TdxGPCanvas canvas(none.DC());
    canvas.Curve(ints, clRed, 1, psSolid, 0);  // a transparent pen draws nothing
  }
  EXPECT_EQ(none.CountDrawn(), 0);
}

TEST_F(GdipCanvasTest, ClipAndTransformStacks) {
  testing::TestBitmap bmp(20, 20);
  TdxGPCanvas canvas(bmp.DC());
  canvas.SaveClipRegion();
  canvas.SaveWorldTransform();
  canvas.SetClipRect(TRect{0, 0, 5, 5}, gdiplus::CombineModeReplace);
  canvas.TranslateWorldTransform(3, 4);
  canvas.FillRectangle(TRect{0, 0, 20, 20}, TdxAlphaColor(0xFF000000));
  EXPECT_EQ(bmp.DrawnBounds(), (TRect{3, 4, 5, 5}));
  canvas.RestoreWorldTransform();
  canvas.RestoreClipRegion();
  std::unique_ptr<TdxGPMatrix> m(canvas.GetWorldTransform());
  EXPECT_TRUE(m->IsIdentity());
  canvas.FillRectangle(TRect{10, 10, 20, 20}, TdxAlphaColor(0xFF000000));
  EXPECT_EQ(bmp.DrawnBounds(), (TRect{3, 4, 20, 20}));

  canvas.ScaleWorldTransform(2, 2, TdxPointF(10, 10));
  std::vector<TPoint> p{{0, 0}};
  canvas.TransformPoints(gdiplus::CoordinateSpaceDevice, gdiplus::CoordinateSpaceWorld, p);
  EXPECT_EQ(p[0], (TPoint{-10, -10}));
}

TEST_F(GdipCanvasTest, RightToLeftDrawingMirrorsAndRestoresEvenWhenItRaises) {
  testing::TestBitmap bmp(20, 4);
  TdxGPCanvas canvas(bmp.DC());
  canvas.SetPixelOffsetMode(gdiplus::PixelOffsetModeHighSpeed);
  dxGpRightToLeftDependentDraw(&canvas, TRect{0, 0, 20, 4}, true, [&] {
    canvas.FillRectangle(TRect{0, 0, 5, 4}, TdxAlphaColor(0xFF000000));
  });
  EXPECT_EQ(bmp.DrawnBounds(), (TRect{15, 0, 20, 4}));
  EXPECT_THROW(dxGpRightToLeftDependentDraw(&canvas, TRect{0, 0, 20, 4}, true,
                                            [&] {
                                              canvas.TranslateWorldTransform(1, 1);
                                              throw std::runtime_error("fails");
                                            }),
               std::runtime_error);
  std::unique_ptr<TdxGPMatrix> m(canvas.GetWorldTransform());
  EXPECT_TRUE(m->IsIdentity());
  EXPECT_EQ(canvas.PixelOffsetMode(), gdiplus::PixelOffsetModeHighSpeed);
  int calls = 0;
  dxGpRightToLeftDependentDraw(&canvas, TRect{}, false, [&] { ++calls; });
  EXPECT_EQ(calls, 1);
}

int GdipCanvasTestSixteenBits(HDC, int AIndex) {
  return AIndex == BITSPIXEL ? 16 : 0;
}
int GdipCanvasTestPrinter(HDC, int AIndex) {
  return AIndex == TECHNOLOGY ? DT_RASPRINTER : AIndex == BITSPIXEL ? 32 : 0;
}
int GdipCanvasTestPalette(HDC, int AIndex) {
  return AIndex == NUMCOLORS ? 256 : AIndex == BITSPIXEL ? 32 : 0;
}

TEST_F(GdipCanvasTest, LowColourPrinterAndPaletteDevicesPaintThroughABuffer) {
  testing::TestBitmap bmp(20, 20);
  EXPECT_FALSE(dxGpIsDoubleBufferedNeeded(bmp.DC()));
  for (TdxGpDeviceCapsFunc f : {&GdipCanvasTestSixteenBits, &GdipCanvasTestPrinter, &GdipCanvasTestPalette}) {
    dxGpSetDeviceCapsFunc(f);
    EXPECT_TRUE(dxGpIsDoubleBufferedNeeded(bmp.DC()));
  }
  dxGpSetDeviceCapsFunc(&GdipCanvasTestSixteenBits);
  TdxGPPaintCanvas* canvas = dxGPPaintCanvas();
  canvas->BeginPaint(bmp.DC(), TRect{5, 5, 15, 15});
  EXPECT_TRUE(canvas->IsLowColorsMode());
  canvas->FillRectangle(TRect{0, 0, 20, 20}, TdxAlphaColor(0xFF000000));  // drawn in DC coordinates
  EXPECT_EQ(bmp.CountDrawn(), 0);  // into the buffer, not yet onto the DC
  canvas->EndPaint();
  // The buffer is one pixel larger than the area in each direction.
  EXPECT_EQ(bmp.DrawnBounds(), (TRect{5, 5, 16, 16}));
  // The next paint of a 32-bit device draws directly and is not low-colour any more.
  dxGpSetDeviceCapsFunc(nullptr);
  canvas->BeginPaint(bmp.DC(), TRect{0, 0, 2, 2});
  EXPECT_FALSE(canvas->IsLowColorsMode());
  canvas->EndPaint();
}

TEST_F(GdipCanvasTest, NestedPaintsOnTwoDCsRestoreTheOuterPaint) {
  testing::TestBitmap a(10, 10), b(10, 10);
  TdxGPPaintCanvas* canvas = dxGPPaintCanvas();
  canvas->BeginPaint(a.DC(), TRect{0, 0, 10, 10});
  GpGraphics* outer = canvas->Handle();
  canvas->BeginPaint(b.DC(), TRect{0, 0, 10, 10});
  canvas->FillRectangle(TRect{0, 0, 2, 2}, TdxAlphaColor(0xFF000000));
  canvas->EndPaint();
  EXPECT_EQ(canvas->Handle(), outer);
  canvas->FillRectangle(TRect{5, 5, 7, 7}, TdxAlphaColor(0xFF000000));
  canvas->EndPaint();
  EXPECT_EQ(canvas->Handle(), nullptr);
  EXPECT_EQ(b.DrawnBounds(), (TRect{0, 0, 2, 2}));
  EXPECT_EQ(a.DrawnBounds(), (TRect{5, 5, 7, 7}));
  canvas->EndPaint();  // an end without a begin does nothing

  // Another thread waits for the outermost end.
  canvas->BeginPaint(a.DC(), TRect{0, 0, 10, 10});
  bool painted = false;
  std::thread other([&] {
    TdxGPPaintCanvas* c = dxGPPaintCanvas();
    c->BeginPaint(b.DC(), TRect{0, 0, 10, 10});
    painted = true;
    c->EndPaint();
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(painted);
  canvas->EndPaint();
  other.join();
  EXPECT_TRUE(painted);
}

TEST_F(GdipCanvasTest, AFailedBeginLeavesTheCanvasUnlockedAndAsItWas) {
  testing::TestBitmap a(10, 10);
  TdxGPPaintCanvas* canvas = dxGPPaintCanvas();
  canvas->BeginPaint(a.DC(), TRect{0, 0, 10, 10});
  GpGraphics* outer = canvas->Handle();
  const auto saved = GdipCreateFromHDC;
  GdipCreateFromHDC = [](HDC, GpGraphics**) { return gdiplus::OutOfMemory; };
  EXPECT_THROW(canvas->BeginPaint(a.DC(), TRect{0, 0, 10, 10}), EdxGdipException);
  GdipCreateFromHDC = saved;
  EXPECT_EQ(canvas->Handle(), outer);
  canvas->EndPaint();
  std::thread other([&] {
    dxGPPaintCanvas()->BeginPaint(a.DC(), TRect{0, 0, 1, 1});
    dxGPPaintCanvas()->EndPaint();
  });
  other.join();  // would hang if the failed begin had kept the lock

  dxGpFillRect(a.DC(), TRect{1, 1, 3, 3}, clRed, 255);
  EXPECT_EQ(a.At(1, 1) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(a.DrawnBounds(), (TRect{1, 1, 3, 3}));
}

TEST_F(GdipCanvasTest, TilingByHandCutsTheLastCells) {
  // A 16 x 16 source whose pixels encode their position.
  GpBitmap* image = dxGpCreateBitmap(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      GdipCheck(gdiplus::GdipBitmapSetPixel(image, x, y, 0xFF000000 | (x << 16) | (y << 8)));
  testing::TestBitmap bmp(40, 20, 0);
  {
    TdxGPCanvas canvas(bmp.DC());
    dxGpTilePartEx(canvas.Handle(), TRect{0, 0, 40, 20}, TRect{0, 0, 16, 16}, image, 255);
  }
  for (int x : {0, 15, 16, 33, 39})
    for (int y : {0, 15, 16, 19}) {
      SCOPED_TRACE(::testing::Message() << x << "," << y);
      EXPECT_EQ(bmp.At(x, y) & 0xFFFFFF, static_cast<uint32_t>(((x % 16) << 16) | ((y % 16) << 8)));
    }
  // With alpha the cells are drawn by hand: 3 x 2, the last column 8 and the last row 4 wide.
  bmp.Fill(0);
  {
    TdxGPCanvas canvas(bmp.DC());
    dxGpTilePartEx(canvas.Handle(), TRect{0, 0, 40, 20}, TRect{0, 0, 16, 16}, image, 128);
  }
  bmp.SavePng("gdip_canvas_tile_alpha", 4);
  EXPECT_NEAR(static_cast<int>((bmp.At(39, 19) >> 16) & 0xFF), 7 / 2, 1);
  EXPECT_NEAR(static_cast<int>((bmp.At(39, 19) >> 8) & 0xFF), 3 / 2, 1);
  EXPECT_NEAR(static_cast<int>((bmp.At(32 + 5, 16 + 2) >> 16) & 0xFF), 5 / 2, 1);
  GdipDisposeImage(image);
}

}  // namespace
}  // namespace qd
