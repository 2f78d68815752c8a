// Image drawing: fit-mode rectangles, draw modes and transparency on pixels, the custom
// drawing hook, and the solid-brush and image-list paint caches.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "graphics_test_util.h"
#include "platform/forms/imglist.h"
#include "platform/os/gdi.h"
#include "ui/graphics/cxGraphicsCaches.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/graphics/cxGraphicsColors.h"
#include "ui/graphics/cxGraphicsImages.h"

namespace qd {
namespace {

using testing::GraphicsTest;
using testing::TestBitmap;

TEST(ImageRectTest, FitModesAtSeveralAspectRatios) {
  const TRect D{0, 0, 100, 50};
  struct Case {
    const char* name;
    TSize image;
    TcxImageFitMode mode;
    TRect expected;
  } cases[] = {
      {"fit never enlarges", {20, 20}, ifmFit, {40, 15, 60, 35}},
      {"fit shrinks a large image", {200, 100}, ifmFit, {0, 0, 100, 50}},
      {"fit shrinks a tall image", {20, 200}, ifmFit, {47, 0, 52, 50}},
      {"proportional, square", {200, 200}, ifmProportionalStretch, {25, 0, 75, 50}},
      {"proportional, wide", {50, 10}, ifmProportionalStretch, {0, 15, 100, 35}},
      {"proportional enlarges", {10, 10}, ifmProportionalStretch, {25, 0, 75, 50}},
      {"fill, square", {200, 200}, ifmFill, {0, -25, 100, 75}},
      {"fill, wide", {50, 10}, ifmFill, {-75, 0, 175, 50}},
      {"stretch", {7, 300}, ifmStretch, {0, 0, 100, 50}},
      {"normal, centred", {16, 16}, ifmNormal, {42, 17, 58, 33}},
      {"normal, larger than the rectangle", {120, 60}, ifmNormal, {-10, -5, 110, 55}},
      {"empty image", {0, 0}, ifmFit, {0, 0, 100, 50}},
      {"negative size", {-5, 10}, ifmStretch, {0, 0, 100, 50}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(cxGetImageRect(D, c.image, c.mode), c.expected);
  }
  // Scale and placement at the top-left corner, in both argument orders.
  EXPECT_EQ(cxGetImageRect(TRect{10, 10, 110, 110}, TSize{16, 16}, ifmNormal, false, 150),
            (TRect{10, 10, 34, 34}));
  EXPECT_EQ(cxGetImageRect(TRect{10, 10, 110, 110}, TSize{16, 16}, ifmNormal, 150, false),
            (TRect{10, 10, 34, 34}));
  EXPECT_EQ(cxGetImageRect(TRect{10, 10, 110, 110}, TSize{16, 16}, ifmStretch, false, 150),
            (TRect{10, 10, 110, 110}));
}

// A 24-bit bitmap: white with a red square (1, 1)-(5, 5) inside 8 x 8.
std::unique_ptr<TBitmap> MakeGlyph(TPixelFormat AFormat = pf24bit) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(AFormat);
  b->SetSize(8, 8);
  HDC dc = b->Canvas()->Handle();
  RECT all{0, 0, 8, 8}, square{1, 1, 5, 5};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &square, red);
  DeleteObject(red);
  return b;
}

class DrawImageTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    cxGraphics::Initialize();
  }
  void TearDown() override {
    CustomDrawImageProc = nullptr;
    cxGraphics::Finalize();
    GraphicsTest::TearDown();
  }
};

TEST_F(DrawImageTest, DrawModesOnADeviceContext) {
  auto glyph = MakeGlyph();
  // Black background so that the highlight shadow shows.
  TestBitmap b(20, 10, 0xFF000000);
  // Normal, the white bottom-left pixel transparent.
  cxDrawImage(b.DC(), TRect{0, 0, 8, 8}, TRect{0, 0, 8, 8}, glyph.get(), nullptr, -1, idmNormal, false,
              nullptr, clNone, true);
  EXPECT_EQ(b.Rgb(0, 0), 0x000000u);
  EXPECT_EQ(b.Rgb(2, 2), 0xFF0000u);
  EXPECT_EQ(b.Rgb(6, 6), 0x000000u);
  // Disabled 24-bit glyph: greyed ("dirty") with a one-pixel highlight shadow.
  cxDrawImage(b.DC(), TRect{10, 0, 18, 8}, TRect{10, 0, 18, 8}, glyph.get(), nullptr, -1, idmDisabled, false,
              nullptr, clNone, true);
  b.SavePng("drawimage_modes", 8);
  const uint32_t dirty = b.Rgb(11, 1);
  EXPECT_EQ(dirty >> 16, dirty & 0xFF);
  EXPECT_EQ((dirty >> 8) & 0xFF, dirty & 0xFF);
  EXPECT_GT(dirty & 0xFF, 0x40u);
  EXPECT_NE(dirty, testing::ColorPx(clBtnHighlight));
  EXPECT_EQ(b.Rgb(15, 3), testing::ColorPx(clBtnHighlight));  // right of the square, one lower
  EXPECT_EQ(b.Rgb(10, 0), 0x000000u);
}

TEST_F(DrawImageTest, ShadowedAndAlphaGlyphs) {
  auto glyph = MakeGlyph();
  TestBitmap b(30, 30);
  // An opaque glyph (no transparency) drawn shadowed: one pixel to the left and above, one
  // beyond at the right and the bottom.
  cxDrawImage(b.DC(), TRect{10, 10, 18, 18}, TRect{0, 0, 30, 30}, glyph.get(), nullptr, -1, idmShadowed);
  EXPECT_EQ(b.DrawnBounds(), (TRect{9, 9, 19, 19}));

  // A 32-bit glyph with alpha, disabled: grey at opacity 151 over white.
  TcxAlphaBitmap alpha(4, 4);
  TRGBColors colors(16, RGBQUAD{0, 0, 128, 128});  // half-transparent red, premultiplied
  alpha.SetBitmapColors(colors);
  TestBitmap w(4, 4, 0xFFFFFFFF);
  cxDrawImage(w.DC(), TRect{0, 0, 4, 4}, TRect{0, 0, 4, 4}, &alpha, nullptr, -1, idmDisabled);
  const uint32_t px = w.Rgb(1, 1);
  const int r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, bl = px & 0xFF;
  EXPECT_LE(std::abs(r - g), 2);
  EXPECT_LE(std::abs(g - bl), 2);
  EXPECT_LT(r, 255);
  EXPECT_GT(r, 150);
}

TEST_F(DrawImageTest, CanvasFormPlacesScalesAndHonoursTheCustomHook) {
  auto glyph = MakeGlyph();
  glyph->SetTransparent(true);
  TestBitmap b(40, 20);
  TcxCanvas canvas(b.Canvas());
  // Stretched into 16 x 16 at (0, 0): the red square doubles; the white is transparent.
  cxDrawImage(&canvas, TRect{0, 0, 16, 16}, glyph.get(), ifmStretch);
  EXPECT_EQ(b.Rgb(3, 3), 0xFF0000u);
  EXPECT_EQ(b.Rgb(9, 9), 0xFF0000u);
  EXPECT_EQ(b.At(12, 12), testing::kSentinel);
  // Nothing to draw: an empty image list entry.
  TImageList list(8, 8);
  const TRect before = b.DrawnBounds();
  cxDrawImage(&canvas, TRect{20, 0, 40, 20}, nullptr, &list, 0, ifmNormal);
  EXPECT_EQ(b.DrawnBounds(), before);
  // An image-list entry.
  list.AddMasked(glyph.get(), clWhite);
  cxDrawImage(&canvas, TRect{20, 0, 28, 8}, nullptr, &list, 0, ifmNormal);
  EXPECT_EQ(b.Rgb(22, 2), 0xFF0000u);
  EXPECT_EQ(b.At(26, 6), testing::kSentinel);
  // The custom hook that answers True leaves only the background.
  CustomDrawImageProc = [](TcxCanvas*, TGraphic*, TCustomImageList*, int32_t, TcxImageDrawMode,
                           const TRect&) { return true; };
  TestBitmap c(16, 16);
  TcxCanvas canvas2(c.Canvas());
  cxDrawImage(&canvas2, TRect{0, 0, 16, 16}, glyph.get(), ifmStretch);
  EXPECT_EQ(c.CountDrawn(), 0);
}

TEST_F(DrawImageTest, PredicatesAndConversions) {
  auto glyph = MakeGlyph();
  TBitmap empty;
  TImageList list(8, 8);
  EXPECT_TRUE(IsImageAssigned(glyph.get()));
  EXPECT_FALSE(IsImageAssigned(&empty));
  EXPECT_FALSE(IsImageAssigned(static_cast<TGraphic*>(nullptr)));
  EXPECT_FALSE(IsImageAssigned(&list, 0));
  list.AddMasked(glyph.get(), clWhite);
  EXPECT_TRUE(IsImageAssigned(&list, 0));
  EXPECT_FALSE(IsImageAssigned(&list, 1));
  EXPECT_TRUE(IsImageAssigned(&empty, &list, 0));
  EXPECT_EQ(dxGetImageSize(&list, 0, nullptr), (TSize{8, 8}));
  EXPECT_EQ(dxGetImageSize(&empty, nullptr), (TSize{0, 0}));
  std::unique_ptr<TBitmap> copy(cxGetAsBitmap(glyph.get()));
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->Width(), 8);
  EXPECT_EQ(GetPixel(copy->Canvas()->Handle(), 2, 2), RGB(255, 0, 0));
  EXPECT_EQ(cxGetAsBitmap(nullptr), nullptr);
}

TEST_F(DrawImageTest, SetImageListMovesTheChangeLink) {
  TImageList a(8, 8), b(8, 8);
  TCustomImageList* field = nullptr;
  TChangeLink link;
  int changes = 0;
  struct Counter {
    int* n;
    void Changed(TObject*) { ++*n; }
  } counter{&changes};
  link.OnChange = TNotifyEvent(&counter, &Counter::Changed);
  cxSetImageList(&a, field, &link, nullptr);
  EXPECT_EQ(field, &a);
  EXPECT_EQ(changes, 1);
  cxSetImageList(&a, field, &link, nullptr);
  EXPECT_EQ(changes, 1);
  cxSetImageList(&b, field, &link, nullptr);
  EXPECT_EQ(link.Sender(), &b);
  auto glyph = MakeGlyph();
  a.AddMasked(glyph.get(), clWhite);  // the old list no longer tells the link
  EXPECT_EQ(changes, 2);
  b.AddMasked(glyph.get(), clWhite);
  EXPECT_EQ(changes, 3);
}

// --- Caches ------------------------------------------------------------------------------------

class CacheTest : public DrawImageTest {};

TEST_F(CacheTest, SolidBrushCacheEvictsTheSortedNeighbour) {
  TdxSolidBrushCache::Clear();
  HBRUSH first = TdxSolidBrushCache::Get(static_cast<TColor>(0x10));
  EXPECT_EQ(TdxSolidBrushCache::Get(static_cast<TColor>(0x10)), first);
  EXPECT_EQ(TdxSolidBrushCache::Data()->Count(), 1);
  for (int i = 1; i < 128; ++i) TdxSolidBrushCache::Get(static_cast<TColor>(0x10 * (i + 1)));
  ASSERT_EQ(TdxSolidBrushCache::Data()->Count(), 128);
  HBRUSH last = TdxSolidBrushCache::Get(static_cast<TColor>(0x10 * 128));
  // A key after all others: the last entry goes, the new one is appended.
  HBRUSH newest = TdxSolidBrushCache::Get(static_cast<TColor>(0x100000));
  EXPECT_EQ(TdxSolidBrushCache::Data()->Count(), 128);
  EXPECT_EQ(TdxSolidBrushCache::Data()->Keys(127), static_cast<TColor>(0x100000));
  EXPECT_EQ(GetObjectType(last), 0u);  // deleted
  EXPECT_EQ(GetObjectType(newest), OBJ_BRUSH);
  // A key in the middle evicts the entry at its position.
  TdxSolidBrushCache::Get(static_cast<TColor>(0x15));
  EXPECT_EQ(TdxSolidBrushCache::Data()->Keys(1), static_cast<TColor>(0x15));
  EXPECT_EQ(TdxSolidBrushCache::Data()->Keys(2), static_cast<TColor>(0x30));
  // Clearing forgets the last key: the same colour again gets a new, live brush.
  HBRUSH before = TdxSolidBrushCache::Get(static_cast<TColor>(0x15));
  TdxSolidBrushCache::Clear();
  EXPECT_EQ(GetObjectType(before), 0u);
  HBRUSH after = TdxSolidBrushCache::Get(static_cast<TColor>(0x15));
  EXPECT_EQ(GetObjectType(after), OBJ_BRUSH);
  EXPECT_EQ(TdxSolidBrushCache::Data()->Count(), 1);
}

TEST_F(CacheTest, ImageListPaintCacheKeepsTheRecentSizes) {
  auto glyph = MakeGlyph();
  auto* list = new TImageList(8, 8);
  list->AddMasked(glyph.get(), clWhite);
  TestBitmap b(40, 40);
  TcxCanvas canvas(b.Canvas());
  auto draw = [&](int size) {
    TdxImageListPaintCache::Draw(&canvas, TRect{0, 0, size, size}, list, 0, idmNormal, false, nullptr, false);
  };
  const int32_t start = TdxImageListPaintCache::RenderCount();
  draw(8);
  EXPECT_EQ(b.Rgb(2, 2), 0xFF0000u);
  EXPECT_EQ(b.At(6, 6), testing::kSentinel);
  draw(8);
  EXPECT_EQ(TdxImageListPaintCache::RenderCount(), start + 1);
  TdxImageListPaintCache::TImageListCacheHelper* helper = TdxImageListPaintCache::FindHelper(list);
  ASSERT_TRUE(helper);
  const int32_t sizes = helper->MaxSizeCount();  // twice the number of monitors
  EXPECT_EQ(sizes, 2 * GetSystemMetrics(SM_CMONITORS));
  for (int i = 1; i <= sizes; ++i) draw(8 + i);
  EXPECT_EQ(TdxImageListPaintCache::RenderCount(), start + 1 + sizes);
  draw(8);  // the first size was dropped: rendered again
  EXPECT_EQ(TdxImageListPaintCache::RenderCount(), start + 2 + sizes);
  draw(8 + sizes);  // still kept
  EXPECT_EQ(TdxImageListPaintCache::RenderCount(), start + 2 + sizes);
  // Another draw mode is another entry.
  TdxImageListPaintCache::Draw(&canvas, TRect{0, 0, 8, 8}, list, 0, idmGrayScale, false, nullptr, false);
  EXPECT_EQ(TdxImageListPaintCache::RenderCount(), start + 3 + sizes);
  // A change of the list's content invalidates through the change link.
  list->AddMasked(glyph.get(), clWhite);
  EXPECT_TRUE(helper->Sizes().empty());
  draw(8);
  EXPECT_EQ(TdxImageListPaintCache::RenderCount(), start + 4 + sizes);
  // Destroying the list removes its cache; a new list gets a new one.
  delete list;
  EXPECT_EQ(TdxImageListPaintCache::FindHelper(list), nullptr);
  TImageList again(8, 8);
  again.AddMasked(glyph.get(), clWhite);
  TdxImageListPaintCache::Draw(&canvas, TRect{0, 0, 8, 8}, &again, 0, idmNormal, false, nullptr, false);
  EXPECT_NE(TdxImageListPaintCache::FindHelper(&again), nullptr);
}

TEST_F(CacheTest, DrawImageCacheKeysCompareEveryByte) {
  TImageList list(8, 8);
  const TdxDrawImageCacheID a(&list, 1, nullptr, idmNormal, false, false);
  TdxDrawImageCacheID b(&list, 1, nullptr, idmNormal, false, false);
  EXPECT_TRUE(a == b);
  EXPECT_EQ(TdxDrawImageCacheIDHash()(a), TdxDrawImageCacheIDHash()(b));
  b = TdxDrawImageCacheID(&list, 1, nullptr, idmNormal, true, false);
  EXPECT_FALSE(a == b);
  b = TdxDrawImageCacheID(&list, 2, nullptr, idmNormal, false, false);
  EXPECT_FALSE(a == b);
  const TColor transparent = a.TransparentColor;
  EXPECT_EQ(transparent, clNone);
  EXPECT_EQ(sizeof(TdxDrawImageCacheID), 1 + sizeof(void*) + 4 + sizeof(void*) + 16 + 1 + 4 + 1);
}

}  // namespace
}  // namespace qd
