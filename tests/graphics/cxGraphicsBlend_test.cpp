// Blending at the alpha edges, both blend paths, Lanczos3 contributors and resizes of tiny
// and strongly reduced sources, stretching, regions from bitmaps and the cursor size.
#include "ui/graphics/cxGraphicsBlend.h"

#include <gtest/gtest.h>

#include <cstring>

#include "graphics_test_util.h"
#include "ui/graphics/cxGraphicsBitmap.h"

namespace qd::testing {
namespace {

RGBQUAD BlendTestQuad(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  return RGBQUAD{b, g, r, a};
}

class BlendTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    cxGraphics::Initialize();
  }
  void TearDown() override {
    cxGraphics::Finalize();
    GraphicsTest::TearDown();
  }
};

TEST(BlendFunction, AlphaEdges) {
  struct Case {
    RGBQUAD source;
    uint8_t constant;
    RGBQUAD dest;
    RGBQUAD expected;
  } cases[] = {
      // Opaque white at 255 covers anything; constant 0 keeps the destination.
      {BlendTestQuad(255, 255, 255, 255), 255, BlendTestQuad(10, 20, 30, 40),
       BlendTestQuad(255, 255, 255, 255)},
      {BlendTestQuad(255, 255, 255, 255), 0, BlendTestQuad(10, 20, 30, 40), BlendTestQuad(10, 20, 30, 40)},
      // Source alpha 0 (premultiplied, colour 0) keeps the destination at any constant.
      {BlendTestQuad(0, 0, 0, 0), 255, BlendTestQuad(10, 20, 30, 40), BlendTestQuad(10, 20, 30, 40)},
      // Constant 1: c = 1/255, a = 1; e = 254/255.
      {BlendTestQuad(255, 255, 255, 255), 1, BlendTestQuad(255, 0, 100, 255),
       BlendTestQuad(255, 1, 101, 255)},
      // Constant 254 of an opaque red over opaque blue.
      {BlendTestQuad(255, 0, 0, 255), 254, BlendTestQuad(0, 0, 255, 255), BlendTestQuad(254, 0, 1, 255)},
      // Source alpha 254 and 1 (premultiplied) at full constant.
      {BlendTestQuad(254, 0, 0, 254), 255, BlendTestQuad(0, 0, 200, 200), BlendTestQuad(254, 0, 1, 255)},
      {BlendTestQuad(1, 1, 1, 1), 255, BlendTestQuad(100, 100, 100, 100), BlendTestQuad(101, 101, 101, 101)},
      // A source whose colour exceeds its alpha is clamped, not wrapped.
      {BlendTestQuad(255, 255, 255, 0), 255, BlendTestQuad(200, 200, 200, 200),
       BlendTestQuad(255, 255, 255, 200)},
  };
  for (const auto& c : cases) {
    RGBQUAD d = c.dest;
    cxBlendFunction(c.source, d, c.constant);
    EXPECT_EQ(std::memcmp(&d, &c.expected, sizeof(d)), 0)
        << int(c.constant) << ": " << int(d.rgbRed) << "," << int(d.rgbGreen) << "," << int(d.rgbBlue) << ","
        << int(d.rgbReserved);
  }
}

TEST(Lanczos3, ContributorsStayInsideTheSource) {
  const std::pair<int, int> sizes[] = {{1, 10}, {2, 4}, {10, 3},      {100, 3}, {3, 1},
                                       {1, 1},  {7, 7}, {4000, 1000}, {2, 500}};
  for (auto [s, d] : sizes) {
    const auto list = cxLanczos3Contributors(s, d);
    ASSERT_EQ(static_cast<int>(list.size()), d);
    for (int i = 0; i < d; ++i) {
      int sum = 0;
      for (const auto& c : list[static_cast<size_t>(i)]) {
        ASSERT_GE(c.Index, 0) << s << "->" << d;
        ASSERT_LT(c.Index, s) << s << "->" << d;
        EXPECT_NE(c.Weight, 0);
        sum += c.Weight;
      }
      // Weights are rounded one by one to 1/256: strong reductions lose a little.
      EXPECT_NEAR(sum, 256, 20) << s << "->" << d << " at " << i;
    }
  }
}

TEST(Lanczos3, StronglyReducedSourcesReadOnlyInside) {
  // Kernels much wider than the source: every tap mirrors and is clamped into it.
  const std::pair<std::pair<int, int>, std::pair<int, int>> cases[] = {
      {{300, 40}, {2, 1}}, {{1, 300}, {5, 2}}, {{97, 3}, {1, 7}}};
  for (const auto& [src, dst] : cases) {
    std::vector<RGBQUAD> in(static_cast<size_t>(src.first) * src.second, BlendTestQuad(40, 120, 200, 255));
    std::vector<RGBQUAD> out(static_cast<size_t>(dst.first) * dst.second);
    cxLanczos3Resize(in.data(), src.first, src.second, out.data(), dst.first, dst.second);
    for (const auto& q : out) EXPECT_GT(q.rgbReserved, 200);
  }
}

TEST(Lanczos3, TinyAndStronglyReducedSourcesKeepFlatColours) {
  const RGBQUAD flat = BlendTestQuad(40, 120, 200, 255);
  const std::pair<std::pair<int, int>, std::pair<int, int>> cases[] = {
      {{1, 1}, {10, 10}}, {{1, 5}, {10, 3}}, {{2, 2}, {4, 4}}, {{10, 10}, {3, 3}}, {{3, 2}, {1, 1}}};
  for (const auto& [src, dst] : cases) {
    std::vector<RGBQUAD> in(static_cast<size_t>(src.first) * src.second, flat);
    std::vector<RGBQUAD> out(static_cast<size_t>(dst.first) * dst.second);
    cxLanczos3Resize(in.data(), src.first, src.second, out.data(), dst.first, dst.second);
    for (const auto& q : out) {
      EXPECT_NEAR(q.rgbRed, 40, 4);
      EXPECT_NEAR(q.rgbGreen, 120, 8);
      EXPECT_NEAR(q.rgbBlue, 200, 12);
      EXPECT_NEAR(q.rgbReserved, 255, 14);
    }
  }
}

TEST_F(BlendTest, SmoothStretchKeepsTheCorners) {
  TcxBitmap32 src(2, 2);
  // Bottom-up: bottom-left, bottom-right, top-left, top-right.
  src.SetBitmapColors({BlendTestQuad(255, 0, 0, 255), BlendTestQuad(0, 255, 0, 255),
                       BlendTestQuad(0, 0, 255, 255), BlendTestQuad(255, 255, 255, 255)});
  TcxBitmap32 dst(4, 4);
  cxStretchGraphic(&dst, &src, true);
  TRGBColors colors;
  dst.GetBitmapColors(colors);
  ASSERT_EQ(colors.size(), 16u);
  auto near = [](const RGBQUAD& a, const RGBQUAD& b) {
    return std::abs(a.rgbRed - b.rgbRed) <= 8 && std::abs(a.rgbGreen - b.rgbGreen) <= 8 &&
           std::abs(a.rgbBlue - b.rgbBlue) <= 8;
  };
  EXPECT_TRUE(near(colors[0], BlendTestQuad(255, 0, 0, 255)));
  EXPECT_TRUE(near(colors[3], BlendTestQuad(0, 255, 0, 255)));
  EXPECT_TRUE(near(colors[12], BlendTestQuad(0, 0, 255, 255)));
  EXPECT_TRUE(near(colors[15], BlendTestQuad(255, 255, 255, 255)));

  // Looked at: a checker pattern enlarged eight times.
  TcxBitmap32 checker(8, 8);
  TRGBColors cells;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      cells.push_back((x / 2 + y / 2) % 2 ? BlendTestQuad(250, 250, 250, 255)
                                          : BlendTestQuad(20, 60, 160, 255));
  checker.SetBitmapColors(cells);
  TcxBitmap32 big(64, 64);
  cxSmoothResizeBitmap(&checker, &big, true);
  TestBitmap view(64, 64);
  BitBlt(view.DC(), 0, 0, 64, 64, big.Canvas()->Handle(), 0, 0, SRCCOPY);
  view.SavePng("blend_lanczos3_checker", 4);
  // The top row of the picture is the last row of the bottom-up array: white first.
  EXPECT_GE(static_cast<int>(view.Rgb(4, 4) & 0xFF), 240);
  EXPECT_GE(static_cast<int>(view.Rgb(4, 4) >> 16), 240);
  EXPECT_LE(static_cast<int>(view.Rgb(22, 6) >> 16), 60);
  EXPECT_GE(static_cast<int>(view.Rgb(22, 6) & 0xFF), 100);
}

TEST_F(BlendTest, BothPathsBlendAlike) {
  TcxBitmap32 src(4, 4);
  src.SetBitmapColors(TRGBColors(16, BlendTestQuad(128, 0, 0, 128)));
  TRGBColors results[2];
  for (int path = 0; path < 2; ++path) {
    const auto saved = cxGraphics::VCLAlphaBlend;
    if (path == 1) cxGraphics::VCLAlphaBlend = nullptr;
    TcxBitmap32 dst(4, 4);
    dst.SetBitmapColors(TRGBColors(16, BlendTestQuad(0, 0, 200, 255)));
    cxAlphaBlend(&dst, &src, TRect{0, 0, 4, 4}, TRect{0, 0, 4, 4}, false, 200);
    cxGraphics::VCLAlphaBlend = saved;
    dst.GetBitmapColors(results[path]);
  }
  for (size_t i = 0; i < 16; ++i)
    for (int k = 0; k < 4; ++k)
      EXPECT_NEAR(reinterpret_cast<uint8_t*>(&results[0][i])[k],
                  reinterpret_cast<uint8_t*>(&results[1][i])[k], 1);
  // 128 x 200/255 = 100 red; blue 200 x (1 - 100.4/255) = 121.
  EXPECT_NEAR(results[1][0].rgbRed, 100, 1);
  EXPECT_NEAR(results[1][0].rgbBlue, 121, 1);
}

TEST_F(BlendTest, EmptyRectanglesDrawNothing) {
  TcxBitmap32 src(4, 4);
  src.SetBitmapColors(TRGBColors(16, BlendTestQuad(255, 255, 255, 255)));
  TestBitmap dst(4, 4);
  cxAlphaBlend(dst.DC(), &src, TRect{1, 1, 1, 3}, TRect{0, 0, 4, 4}, true);
  cxAlphaBlend(dst.DC(), &src, TRect{0, 0, 4, 4}, TRect{0, 0, 0, 4}, true);
  EXPECT_EQ(dst.CountDrawn(), 0);
  cxAlphaBlend(dst.DC(), &src, TRect{1, 1, 3, 3}, TRect{0, 0, 4, 4}, true);
  EXPECT_EQ(dst.Mask(), Rows({"....", ".##.", ".##.", "...."}));
}

TEST_F(BlendTest, RegionFromBitmap) {
  TestBitmap b(5, 3, 0x00FF00FF);
  b.Px(1, 0) = 0x00123456;
  b.Px(2, 0) = 0x00123456;
  b.Px(4, 0) = 0xFF000000;
  b.Px(0, 2) = 0x00FF00FE;
  HRGN none = cxCreateRegionFromBitmap(TRGBColors(6, BlendTestQuad(255, 0, 255, 7)), 3, 2, clFuchsia);
  EXPECT_EQ(none, nullptr);
  HRGN rgn = cxCreateRegionFromBitmap(b.Bitmap(), clFuchsia);
  ASSERT_NE(rgn, nullptr);
  std::string mask;
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) mask += PtInRegion(rgn, x, y) ? '#' : '.';
    mask += '\n';
  }
  EXPECT_EQ(mask, Rows({".##.#", ".....", "#...."}));
  DeleteObject(rgn);
}

TEST_F(BlendTest, BitmapsAndTheCursor) {
  std::unique_ptr<TBitmap> b(cxCreateBitmap(TSize{3, 2}, pf32bit));
  EXPECT_EQ(b->Width(), 3);
  EXPECT_EQ(b->PixelFormat(), pf32bit);
  static_cast<uint32_t*>(b->ScanLine(0))[0] = 0x11223344;
  HBITMAP copy = cxCopyImage(b->Handle());
  ASSERT_NE(copy, nullptr);
  TBitmap c;
  c.SetHandle(copy);
  EXPECT_EQ(c.Width(), 3);
  EXPECT_EQ(static_cast<uint32_t*>(c.ScanLine(0))[0] & 0xFFFFFF, 0x223344u);
  cxClearBitmap(b.get());
  EXPECT_EQ(static_cast<uint32_t*>(b->ScanLine(0))[0], 0u);
  EXPECT_EQ(cxCopyImage(nullptr), nullptr);
  const TSize cursor = cxGetCursorSize();
  EXPECT_GT(cursor.cx, 0);
  EXPECT_GE(cursor.cy, 0);
}

TEST_F(BlendTest, HalftoneUnlessForced) {
  TcxBitmap32 src(4, 4);
  src.SetBitmapColors(TRGBColors(16, BlendTestQuad(10, 200, 30, 255)));
  TcxBitmap32 dst(2, 2);
  cxSmoothResizeBitmap(&src, &dst);
  TRGBColors colors;
  dst.GetBitmapColors(colors);
  for (const auto& q : colors) EXPECT_NEAR(q.rgbGreen, 200, 3);
  TcxBitmap32 empty;
  cxSmoothResizeBitmap(&src, &empty, true);
  cxSmoothResizeBitmap(&empty, &dst, true);
}

}  // namespace
}  // namespace qd::testing
