// AlphaBlend, GradientFill and TransparentBlt.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/os/gdi.h"
#include "gdi_test_util.h"

namespace qd {
namespace {

using testing::kSentinel;
using testing::TestDib;

TEST(GdiAlphaBlend, ConstantAndPerPixelAlpha) {
  TestDib src(1, 1, 0x80804020);  // premultiplied: alpha 0x80
  struct Case {
    BYTE sca, format;
    uint32_t dst, want;
  } cases[] = {
      // per pixel, opaque constant: d = s + d * (255 - 128) / 255
      {255, AC_SRC_ALPHA, 0xFF0000FF, 0xFF80409F},
      {255, AC_SRC_ALPHA, 0x00000000, 0x80804020},
      // constant only: d = s * 64/255 + d * 191/255 on every channel
      {64, 0, 0x00000000, 0x20201008},
      {255, 0, 0x12345678, 0x80804020},
      {0, 0, 0x12345678, 0x12345678},
      // both: s' = s * 128/255
      {128, AC_SRC_ALPHA, 0x00000000, 0x40402010},
  };
  for (const auto& c : cases) {
    TestDib d(1, 1, c.dst);
    BLENDFUNCTION bf{AC_SRC_OVER, 0, c.sca, c.format};
    ASSERT_TRUE(AlphaBlend(d.dc, 0, 0, 1, 1, src.dc, 0, 0, 1, 1, bf));
    EXPECT_EQ(d.At(0, 0), c.want) << int(c.sca) << " " << int(c.format);
  }
}

TEST(GdiAlphaBlend, FailuresReallyFail) {
  TestDib src(4, 4), dst(4, 4);
  BLENDFUNCTION bf{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  EXPECT_FALSE(AlphaBlend(dst.dc, 0, 0, 4, 4, src.dc, 1, 0, 4, 4, bf));   // leaves the source
  EXPECT_FALSE(AlphaBlend(dst.dc, 0, 0, -4, 4, src.dc, 0, 0, 4, 4, bf));  // negative size
  EXPECT_FALSE(AlphaBlend(dst.dc, 0, 0, 4, 4, reinterpret_cast<HDC>(0x999), 0, 0, 4, 4, bf));
  HDC mono = CreateCompatibleDC(nullptr);
  HBITMAP bm = CreateBitmap(4, 4, 1, 1, nullptr);
  HGDIOBJ old = SelectObject(mono, bm);
  EXPECT_FALSE(AlphaBlend(dst.dc, 0, 0, 4, 4, mono, 0, 0, 4, 4, bf));  // per-pixel alpha needs 32 bits
  bf.AlphaFormat = 0;
  EXPECT_TRUE(AlphaBlend(dst.dc, 0, 0, 4, 4, mono, 0, 0, 4, 4, bf));
  SelectObject(mono, old);
  DeleteObject(bm);
  DeleteDC(mono);
  // Stretching samples the nearest pixel.
  TestDib two(2, 1);
  two.bits[0] = 0xFF0000FF;
  two.bits[1] = 0xFFFF0000;
  TestDib wide(4, 1, 0);
  bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  EXPECT_TRUE(AlphaBlend(wide.dc, 0, 0, 4, 1, two.dc, 0, 0, 2, 1, bf));
  EXPECT_EQ(wide.At(1, 0), 0xFF0000FFu);
  EXPECT_EQ(wide.At(2, 0), 0xFFFF0000u);
}

TEST(GdiAlphaBlend, RowsOfManyPixelsUnderAClipMatchTheFormula) {
  // Widths that are no multiple of four, every alpha edge, colours above their alpha (the
  // sums saturate) and a clip that cuts the rows into pieces.
  TestDib src(37, 6, 0);
  for (int i = 0; i < 37 * 6; ++i) {
    const uint32_t a = (i % 7 == 0)   ? 0
                       : (i % 7 == 1) ? 1
                       : (i % 7 == 2) ? 254
                       : (i % 7 == 3) ? 255
                                      : (i * 37) & 0xFF;
    src.bits[i] = (a << 24) | ((i * 91u) & 0xFF) << 16 | ((i * 53u) & 0xFF) << 8 | ((a * 3 / 4) & 0xFF);
    if (i % 11 == 0) src.bits[i] = 0;
  }
  auto div255 = [](double v) { return static_cast<uint32_t>(std::lround(v / 255)); };
  auto reference = [&](uint32_t s, uint32_t d, uint32_t sca, bool perPixel) {
    uint32_t out = 0;
    const uint32_t sa = sca == 255 ? s >> 24 : div255((s >> 24) * sca);
    for (int sh = 0; sh < 32; sh += 8) {
      const uint32_t sc = (s >> sh) & 0xFF, dc = (d >> sh) & 0xFF;
      const uint32_t v = perPixel ? (sca == 255 ? sc : div255(sc * sca)) + div255(dc * (255.0 - sa))
                                  : div255(sc * sca + dc * (255.0 - sca));
      out |= std::min(v, 255u) << sh;
    }
    return out;
  };
  for (BYTE format : {BYTE{0}, BYTE{AC_SRC_ALPHA}})
    for (BYTE sca : {0, 1, 127, 128, 254, 255}) {
      TestDib dst(40, 8);
      for (int i = 0; i < 40 * 8; ++i) dst.bits[i] = static_cast<uint32_t>(i) * 2654435761u;
      std::vector<uint32_t> before(dst.bits, dst.bits + 40 * 8);
      HRGN clip = CreateRectRgn(0, 0, 40, 8);
      HRGN hole = CreateRectRgn(10, 2, 21, 4);
      CombineRgn(clip, clip, hole, RGN_DIFF);
      SelectClipRgn(dst.dc, clip);
      const BLENDFUNCTION bf{AC_SRC_OVER, 0, sca, format};
      ASSERT_TRUE(AlphaBlend(dst.dc, 2, 1, 33, 5, src.dc, 3, 1, 33, 5, bf));
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 40; ++x) {
          const bool blended = x >= 2 && x < 35 && y >= 1 && y < 6 && !(x >= 10 && x < 21 && y >= 2 && y < 4);
          const uint32_t old = before[static_cast<size_t>(y * 40 + x)];
          const uint32_t want = blended ? reference(src.At(x + 1, y), old, sca, format != 0) : old;
          ASSERT_EQ(dst.At(x, y), want) << x << "," << y << " at " << int(sca) << " " << int(format);
        }
      DeleteObject(hole);
      DeleteObject(clip);
    }
}

TEST(GdiGradient, RectanglesInterpolateSixteenBitChannelsIncludingAlpha) {
  TestDib t(4, 2);
  TRIVERTEX v[2];
  v[0] = {0, 0, 0x0000, 0x0000, 0xFF00, 0x0000};
  v[1] = {4, 2, 0xFF00, 0x0000, 0x0000, 0x8000};
  GRADIENT_RECT r{0, 1};
  ASSERT_TRUE(GradientFill(t.dc, v, 2, &r, 1, GRADIENT_FILL_RECT_H));
  EXPECT_EQ(t.At(0, 0), 0x000000FFu);
  EXPECT_EQ(t.At(0, 1), 0x000000FFu);
  EXPECT_EQ(t.At(2, 0), 0x407F007Fu);  // half way
  EXPECT_EQ(t.At(3, 1) >> 24, 0x60u);
  ASSERT_TRUE(GradientFill(t.dc, v, 2, &r, 1, GRADIENT_FILL_RECT_V));
  EXPECT_EQ(t.At(3, 0), 0x000000FFu);
  EXPECT_EQ(t.At(3, 1), 0x407F007Fu);
  GRADIENT_RECT bad{0, 5};
  EXPECT_FALSE(GradientFill(t.dc, v, 2, &bad, 1, GRADIENT_FILL_RECT_H));
}

TEST(GdiGradient, TrianglesCoverTheirPixels) {
  TestDib t(10, 10);
  TRIVERTEX v[3];
  v[0] = {0, 0, 0xFF00, 0, 0, 0};
  v[1] = {10, 0, 0xFF00, 0, 0, 0};
  v[2] = {0, 10, 0xFF00, 0, 0, 0};
  GRADIENT_TRIANGLE tri{0, 1, 2};
  ASSERT_TRUE(GradientFill(t.dc, v, 3, &tri, 1, GRADIENT_FILL_TRIANGLE));
  EXPECT_EQ(t.At(0, 0), 0x00FF0000u);
  EXPECT_EQ(t.At(9, 9), kSentinel);
  EXPECT_EQ(t.At(4, 4), 0x00FF0000u);
}

TEST(GdiTransparentBlt, SkipsTheTransparentColour) {
  TestDib src(2, 1);
  src.bits[0] = 0x00FF00FF;
  src.bits[1] = 0x00123456;
  TestDib t(4, 2, 0x00FFFFFF);
  ASSERT_TRUE(TransparentBlt(t.dc, 0, 0, 4, 2, src.dc, 0, 0, 2, 1, RGB(255, 0, 255)));
  EXPECT_EQ(t.At(0, 0), 0x00FFFFFFu);
  EXPECT_EQ(t.At(1, 1), 0x00FFFFFFu);
  EXPECT_EQ(t.At(2, 0), 0x00123456u);
  EXPECT_EQ(t.At(3, 1), 0x00123456u);
}

}  // namespace
}  // namespace qd
