// GDI+ paths and regions: round rectangles, bounds, hit tests and combined regions.
#include <gtest/gtest.h>

#include "tests/graphics/graphics_test_util.h"
#include "ui/graphics/dxGDIPlusCanvas.h"

namespace qd {
namespace {

class GdipPathsTest : public testing::GraphicsTest {
 protected:
  void SetUp() override {
    testing::GraphicsTest::SetUp();
    gdiplus::RegisterModule();
    ASSERT_TRUE(CheckGdiPlus(false));
    dxGDIPlusClasses::Initialize();
  }
  void TearDown() override {
    dxGDIPlusClasses::Finalize();
    GdiPlusUnload();
    testing::GraphicsTest::TearDown();
  }
};

TEST_F(GdipPathsTest, RoundRectanglesLimitTheRadiiToAThirdOfTheSides) {
  TdxGPPath path;
  path.AddRoundRect(TdxRectF(0, 0, 30, 12), 20.f, 20.f);
  // rx 10, ry 4: the corner arcs leave the middle of each side straight.
  EXPECT_TRUE(path.IsPointInPath(TdxPointF(15, 0.5f)));
  EXPECT_TRUE(path.IsPointInPath(TdxPointF(29.5f, 6)));
  EXPECT_FALSE(path.IsPointInPath(TdxPointF(0.5f, 0.5f)));  // a corner cut off
  EXPECT_TRUE(path.IsPointInPath(TdxPointF(3, 1.5f)));      // inside the 10 x 4 corner arc
  const TdxRectF bounds = path.GetBoundsF();
  EXPECT_NEAR(bounds.Left, 0, 1e-3);
  EXPECT_NEAR(bounds.Right, 30, 1e-3);
  EXPECT_NEAR(bounds.Bottom, 12, 1e-3);

  TdxGPPath plain;
  plain.AddRoundRect(TRect{0, 0, 10, 10}, 0, 5);
  EXPECT_EQ(plain.PointCount(), 4);  // a plain rectangle
  EXPECT_TRUE(plain.IsPointInPath(TPoint{0, 0}));
  EXPECT_EQ(plain.GetBounds(), (TRect{0, 0, 10, 10}));
  EXPECT_TRUE(plain.IsPointInPathOutline(TPoint{10, 5}, 2));
  EXPECT_FALSE(plain.IsPointInPathOutline(TPoint{5, 5}, 2));
  EXPECT_FALSE(plain.IsPointInPathOutline(TPoint{10, 5}, 0));  // no pen for width 0

  TdxGPPath copy;
  copy.Assign(&plain);
  EXPECT_EQ(copy.PointCount(), 4);
}

TEST_F(GdipPathsTest, RegionsCombineAndFill) {
  TdxGPRegion region(TRect{0, 0, 10, 10});
  region.CombineRegionRect(TRect{5, 5, 10, 10}, gdiplus::CombineModeExclude);
  std::unique_ptr<TdxGPRegion> copy(TdxGPRegion::CreateFromRegion(region.Handle()));
  region.CombineRegionRect(TRect{0, 0, 10, 10}, gdiplus::CombineModeReplace);  // the copy keeps its shape
  testing::TestBitmap bmp(12, 12);
  {
    TdxGPCanvas canvas(bmp.DC());
    canvas.Region(copy.get(), TdxAlphaColor(0xFFFF0000), TdxAlphaColor(0xFF000000));
  }
  EXPECT_EQ(bmp.DrawnBounds(), (TRect{0, 0, 10, 10}));
  EXPECT_EQ(bmp.CountDrawn(), 75);
}

}  // namespace
}  // namespace qd
