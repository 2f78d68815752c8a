// The shared pen and brush caches and the alpha-blend image attributes.
#include <gtest/gtest.h>

#include <memory>

#include "tests/graphics/graphics_test_util.h"
#include "ui/graphics/dxGDIPlusClasses.h"

namespace qd {
namespace {

class GdipResourcesTest : public testing::GraphicsTest {
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

TEST_F(GdipResourcesTest, PensAndBrushesAreRefusedForEmptyRequests) {
  IdxGPHandle h = std::make_shared<TdxGPHandle>(nullptr);
  EXPECT_FALSE(TdxGPResourceManager::GetPen(0xFF000000, gdiplus::DashStyleSolid, 0, h));
  EXPECT_EQ(h, nullptr);
  EXPECT_FALSE(TdxGPResourceManager::GetPen(TdxAlphaColor(0), gdiplus::DashStyleSolid, 1, h));
  EXPECT_FALSE(TdxGPResourceManager::GetPen(0x00FFFFFF, gdiplus::DashStyleSolid, 1, h));
  EXPECT_FALSE(TdxGPResourceManager::GetPen(0xFF000000, psClear, 1, h));
  EXPECT_TRUE(TdxGPResourceManager::GetPen(0x01FFFFFF, psDot, 1, h));
  gdiplus::DashStyle style{};
  GdipCheck(gdiplus::GdipGetPenDashStyle(static_cast<GpPen*>(h->GetNativeHandle()), &style));
  EXPECT_EQ(style, gdiplus::DashStyleDot);

  EXPECT_FALSE(TdxGPResourceManager::GetSolidBrush(clNone, 255, h));
  ASSERT_TRUE(TdxGPResourceManager::GetSolidBrush(clRed, 0, h));  // a fully transparent red
  gdiplus::ARGB color = 1;
  GdipCheck(GdipGetSolidFillColor(static_cast<gdiplus::GpSolidFill*>(h->GetNativeHandle()), &color));
  EXPECT_EQ(color, 0x00FF0000u);
  EXPECT_FALSE(TdxGPResourceManager::GetSolidBrush(TdxAlphaColor(0), h));
}

TEST_F(GdipResourcesTest, TheSameKeyGivesTheSameHandle) {
  IdxGPHandle a, b, c;
  ASSERT_TRUE(TdxGPResourceManager::GetPen(0xFF112233, gdiplus::DashStyleDash, 2, a));
  ASSERT_TRUE(TdxGPResourceManager::GetPen(0xFF112233, gdiplus::DashStyleDash, 1, c));
  ASSERT_TRUE(TdxGPResourceManager::GetPen(0xFF112233, gdiplus::DashStyleDash, 2, b));
  EXPECT_EQ(a->GetNativeHandle(), b->GetNativeHandle());
  EXPECT_NE(a->GetNativeHandle(), c->GetNativeHandle());
  float width = 0;
  GdipCheck(GdipGetPenWidth(static_cast<GpPen*>(a->GetNativeHandle()), &width));
  EXPECT_EQ(width, 2.f);
}

TEST_F(GdipResourcesTest, AFullCacheEvictsTheNewKeysSortedNeighbour) {
  TdxGPSolidBrushCacheManager* cache = TdxGPResourceManager::SolidBrushes();
  IdxGPHandle h;
  // 100 keys 0xFF000010, 0xFF000020, ... 0xFF000640.
  for (uint32_t i = 1; i <= 100; ++i)
    ASSERT_TRUE(TdxGPResourceManager::GetSolidBrush(0xFF000000 | (i * 16), h));
  IdxGPHandle held;
  TdxGPResourceManager::GetSolidBrush(0xFF000030, held);
  ASSERT_EQ(cache->Count(), 100);
  // 0xFF000035 goes between 0x30 and 0x40: the entry at its position (0x40) is evicted.
  TdxGPResourceManager::GetSolidBrush(0xFF000035, h);
  EXPECT_EQ(cache->Count(), 100);
  int32_t index;
  EXPECT_FALSE(cache->Find(0xFF000040, index));
  EXPECT_TRUE(cache->Find(0xFF000035, index));
  EXPECT_TRUE(cache->Find(0xFF000030, index));
  // A key above every other evicts the last entry.
  TdxGPResourceManager::GetSolidBrush(0xFF100000, h);
  EXPECT_FALSE(cache->Find(0xFF000640, index));
  EXPECT_TRUE(cache->Find(0xFF100000, index));
  EXPECT_EQ(index, 99);
  // A handle held by a caller outlives its removal from the cache.
  cache->Clear();
  gdiplus::ARGB color = 0;
  EXPECT_EQ(GdipGetSolidFillColor(static_cast<gdiplus::GpSolidFill*>(held->GetNativeHandle()), &color),
            gdiplus::Ok);
  EXPECT_EQ(color, 0xFF000030u);
}

TEST_F(GdipResourcesTest, AlphaBlendAttributesScaleTheAlpha) {
  EXPECT_EQ(dxGpGetAlphaBlendAttributes(255), nullptr);
  EXPECT_EQ(dxGpGetImageAttributesHandle(nullptr), nullptr);
  TdxGPAlphaBlendAttributes* attributes = dxGpGetAlphaBlendAttributes(128);
  ASSERT_NE(attributes, nullptr);
  EXPECT_EQ(attributes->Alpha(), 128);
  EXPECT_EQ(dxGpGetAlphaBlendAttributes(64), attributes);  // one shared instance

  // An opaque white 2 x 2 bitmap drawn with alpha 128 over black gives mid grey.
  GpBitmap* image = dxGpCreateBitmap(2, 2);
  GpGraphics* ig = nullptr;
  GdipCheck(GdipGetImageGraphicsContext(image, &ig));
  GdipCheck(GdipGraphicsClear(ig, 0xFFFFFFFF));
  GdipDeleteGraphics(ig);
  testing::TestBitmap bmp(4, 4, 0);
  GpGraphics* g = nullptr;
  GdipCheck(GdipCreateFromHDC(bmp.DC(), &g));
  GdipCheck(GdipDrawImageRectRect(g, image, 0, 0, 2, 2, 0, 0, 2, 2, gdiplus::UnitPixel,
                                  dxGpGetImageAttributesHandle(dxGpGetAlphaBlendAttributes(128)), nullptr,
                                  nullptr));
  GdipDeleteGraphics(g);
  GdipDisposeImage(image);
  EXPECT_NEAR(static_cast<int>(bmp.At(0, 0) & 0xFF), 128, 2);
  EXPECT_EQ(bmp.At(3, 3) & 0xFFFFFF, 0u);
}

}  // namespace
}  // namespace qd
