// Blending at the alpha edges, both blend paths, Lanczos3 contributors and resizes of tiny
// and strongly reduced sources, stretching, regions from bitmaps and the cursor size.
#include "ui/graphics/cxGraphicsBlend.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <optional>

#include "graphics_test_util.h"
#include "platform/os/kernel.h"
#include "platform/os/modules.h"
#include "ui/core/dxCore.h"
#include "ui/core/dxThreading.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/dxGDIPlusAPI.h"
#include "ui/graphics/dxGDIPlusCanvas.h"

namespace qd::testing {
namespace {

RGBQUAD BlendTestQuad(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  return RGBQUAD{b, g, r, a};
}

using BlendTest = GraphicsUnitTest;

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
      // The rounding remainder is put back: the weights are exactly one in fixed point.
      EXPECT_EQ(sum, 256) << s << "->" << d << " at " << i;
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

TEST(Lanczos3, FlatColoursStayExactlyFlat) {
  // Weights rounded one by one used to drift a flat colour by up to 13 %.
  const RGBQUAD colours[] = {BlendTestQuad(40, 120, 200, 255), BlendTestQuad(255, 255, 255, 255),
                             BlendTestQuad(1, 254, 0, 128), BlendTestQuad(0, 0, 0, 0)};
  const std::pair<std::pair<int, int>, std::pair<int, int>> cases[] = {
      // Reductions, down to a strongly reduced source whose kernel is wider than the result.
      {{100, 80}, {25, 20}},
      {{97, 61}, {40, 33}},
      {{400, 7}, {3, 2}},
      {{4000, 1}, {7, 1}},
      {{10, 10}, {3, 3}},
      {{3, 2}, {1, 1}},
      {{64, 64}, {63, 62}},
      // Enlargements, from one pixel up.
      {{1, 1}, {10, 10}},
      {{2, 2}, {4, 4}},
      {{1, 5}, {10, 3}},
      {{40, 30}, {100, 75}},
      {{13, 7}, {131, 29}},
      {{7, 7}, {7, 7}}};
  for (const auto& [src, dst] : cases)
    for (const RGBQUAD& flat : colours) {
      std::vector<RGBQUAD> in(static_cast<size_t>(src.first) * src.second, flat);
      std::vector<RGBQUAD> out(static_cast<size_t>(dst.first) * dst.second, BlendTestQuad(9, 9, 9, 9));
      cxLanczos3Resize(in.data(), src.first, src.second, out.data(), dst.first, dst.second);
      size_t wrong = 0;
      for (const auto& q : out) wrong += std::memcmp(&q, &flat, sizeof(q)) != 0;
      EXPECT_EQ(wrong, 0u) << src.first << "x" << src.second << " -> " << dst.first << "x" << dst.second
                           << " of " << int(flat.rgbRed) << "," << int(flat.rgbGreen) << ","
                           << int(flat.rgbBlue) << "," << int(flat.rgbReserved);
    }
}

// A busy picture: a diagonal gradient, hard-edged blocks and single-pixel lines.
std::vector<RGBQUAD> Lanczos3TestPicture(int w, int h) {
  std::vector<RGBQUAD> px(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const auto g = static_cast<uint8_t>((x * 255 / std::max(w - 1, 1) + y * 255 / std::max(h - 1, 1)) / 2);
      const bool block = (x / 9 + y / 7) % 2 == 0;
      const bool line = x % 17 == 0 || y % 23 == 0;
      px[static_cast<size_t>(y) * w + x] = line ? BlendTestQuad(255, 255, 255, 255)
                                           : block
                                               ? BlendTestQuad(g, 30, 220, 255)
                                               : BlendTestQuad(10, g, 40, static_cast<uint8_t>(128 + g / 2));
    }
  return px;
}

// The same filter in double precision with weights that sum to one: no fixed-point rounding.
std::vector<RGBQUAD> Lanczos3Reference(const std::vector<RGBQUAD>& in, int sw, int sh, int dw, int dh) {
  auto weights = [](int s, int d) {
    std::vector<std::vector<std::pair<int, double>>> result(static_cast<size_t>(d));
    const double f = (s == 1 || d == 1) ? double(d) / s : double(d - 1) / (s - 1);
    const double w = f >= 1 ? 1 : 1 / f;
    auto sinc = [](double x) { return x == 0 ? 1.0 : std::sin(M_PI * x) / (M_PI * x); };
    for (int i = 0; i < d; ++i) {
      const double c = i / f;
      double sum = 0;
      for (int j = int(std::floor(c - 3 * w)); j <= int(std::ceil(c + 3 * w)); ++j) {
        const double x = (c - j) / w;
        const double l = std::fabs(x) < 3 ? sinc(x) * sinc(x / 3) : 0;
        const int index = std::clamp(j < 0 ? -j : j >= s ? 2 * s - 1 - j : j, 0, s - 1);
        result[static_cast<size_t>(i)].push_back({index, l});
        sum += l;
      }
      for (auto& [index, l] : result[static_cast<size_t>(i)]) l /= sum;
    }
    return result;
  };
  const auto hw = weights(sw, dw), vw = weights(sh, dh);
  std::vector<double> temp(static_cast<size_t>(dw) * sh * 4);
  for (int y = 0; y < sh; ++y)
    for (int x = 0; x < dw; ++x)
      for (int ch = 0; ch < 4; ++ch) {
        double v = 0;
        for (auto [index, l] : hw[static_cast<size_t>(x)])
          v += l * reinterpret_cast<const uint8_t*>(&in[static_cast<size_t>(y) * sw + index])[ch];
        temp[(static_cast<size_t>(y) * dw + x) * 4 + ch] = std::clamp(v, 0.0, 255.0);
      }
  std::vector<RGBQUAD> out(static_cast<size_t>(dw) * dh);
  for (int y = 0; y < dh; ++y)
    for (int x = 0; x < dw; ++x)
      for (int ch = 0; ch < 4; ++ch) {
        double v = 0;
        for (auto [index, l] : vw[static_cast<size_t>(y)])
          v += l * temp[(static_cast<size_t>(index) * dw + x) * 4 + ch];
        reinterpret_cast<uint8_t*>(&out[static_cast<size_t>(y) * dw + x])[ch] =
            static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
      }
  return out;
}

TEST(Lanczos3, ResizesStaySharpAgainstAFloatReference) {
  const std::pair<std::pair<int, int>, std::pair<int, int>> cases[] = {
      {{160, 120}, {40, 30}},
      {{160, 120}, {400, 300}},
      {{97, 61}, {59, 83}},
      {{31, 17}, {200, 9}},
      // So strongly reduced that most weights round to zero or one.
      {{4000, 2}, {13, 2}}};
  for (const auto& [src, dst] : cases) {
    const auto in = Lanczos3TestPicture(src.first, src.second);
    std::vector<RGBQUAD> out(static_cast<size_t>(dst.first) * dst.second);
    cxLanczos3Resize(in.data(), src.first, src.second, out.data(), dst.first, dst.second);
    const auto ref = Lanczos3Reference(in, src.first, src.second, dst.first, dst.second);
    int largest = 0;
    double total = 0;
    for (size_t i = 0; i < out.size(); ++i)
      for (int ch = 0; ch < 4; ++ch) {
        const int d = std::abs(reinterpret_cast<const uint8_t*>(&out[i])[ch] -
                               reinterpret_cast<const uint8_t*>(&ref[i])[ch]);
        largest = std::max(largest, d);
        total += d;
      }
    const double mean = total / (4.0 * out.size());
    EXPECT_LE(largest, 6) << src.first << "x" << src.second << " -> " << dst.first << "x" << dst.second;
    EXPECT_LE(mean, 1.5) << src.first << "x" << src.second << " -> " << dst.first << "x" << dst.second;
  }
}

TEST(Lanczos3, RowParallelResizeEqualsTheSerialOne) {
  // As on a machine with 8 processors, so that the rows are split into chunks on the pool.
  os::SetReportedProcessorCount(8);
  dxThreading::Initialize();
  ASSERT_TRUE(dxCanUseMultiThreading());
  const std::pair<std::pair<int, int>, std::pair<int, int>> cases[] = {
      {{301, 203}, {757, 509}}, {{301, 203}, {97, 61}}, {{640, 3}, {2000, 100}}, {{5, 900}, {33, 250}}};
  for (const auto& [src, dst] : cases) {
    const auto in = Lanczos3TestPicture(src.first, src.second);
    std::vector<RGBQUAD> results[2];
    for (int serial = 0; serial < 2; ++serial) {
      dxEnableMultiThreading = serial == 0;
      results[serial].resize(static_cast<size_t>(dst.first) * dst.second);
      cxLanczos3Resize(in.data(), src.first, src.second, results[serial].data(), dst.first, dst.second);
    }
    EXPECT_EQ(std::memcmp(results[0].data(), results[1].data(), results[0].size() * sizeof(RGBQUAD)), 0)
        << src.first << "x" << src.second << " -> " << dst.first << "x" << dst.second;
  }
  dxEnableMultiThreading = true;
  dxThreading::Finalize();
  os::SetReportedProcessorCount(0);
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

BOOL BlendTestWow64Process(HANDLE, BOOL* AIsWow64) {
  *AIsWow64 = TRUE;
  return TRUE;
}

// cxAlphaBlend on 64-bit Windows (a 32-bit process under WOW64, as the platform
// information calls it) draws through a GDI+ paint canvas.
class BlendGdiPlusTest : public BlendTest {
 protected:
  void SetUp() override {
    BlendTest::SetUp();
    gdiplus::RegisterModule();
    ASSERT_TRUE(CheckGdiPlus(false));
    dxGDIPlusClasses::Initialize();
    dxGDIPlusCanvas::Initialize();
  }
  void TearDown() override {
    SetWin64Bit(false);
    dxGDIPlusCanvas::Finalize();
    dxGDIPlusClasses::Finalize();
    GdiPlusUnload();
    BlendTest::TearDown();
  }
  void SetWin64Bit(bool AValue) {
    modules_.reset();
    if (AValue) {
      modules_.emplace();
      os::RegisterExport("kernel32.dll", "IsWow64Process", &BlendTestWow64Process);
    }
    InitPlatformInfo();
    ASSERT_EQ(IsWin64Bit(), AValue);
    if (AValue && FWithoutGdiPlus) {
      os::RemoveModule("gdiplus.dll");
      GdiPlusUnload();
      ASSERT_FALSE(CheckGdiPlus(false));
    }
  }
  // The source blended over an opaque pattern on each path.
  std::vector<RGBQUAD> Blend(bool AWin64Bit, TBitmap* ASource, const TRect& ADestRect, const TRect& ASrcRect,
                             bool ASmooth, uint8_t AAlpha) {
    SetWin64Bit(AWin64Bit);
    TcxBitmap32 dst(16, 12);
    TRGBColors colors;
    for (int i = 0; i < 16 * 12; ++i)
      colors.push_back(BlendTestQuad(static_cast<uint8_t>(i * 7), static_cast<uint8_t>(200 - i), 90, 255));
    dst.SetBitmapColors(colors);
    cxAlphaBlend(&dst, ASource, ADestRect, ASrcRect, ASmooth, AAlpha);
    dst.GetBitmapColors(colors);
    return colors;
  }
  static int LargestDifference(const std::vector<RGBQUAD>& A, const std::vector<RGBQUAD>& B) {
    int result = 0;
    for (size_t i = 0; i < A.size(); ++i)
      for (int ch = 0; ch < 4; ++ch)
        result = std::max(result, std::abs(reinterpret_cast<const uint8_t*>(&A[i])[ch] -
                                           reinterpret_cast<const uint8_t*>(&B[i])[ch]));
    return result;
  }

  bool FWithoutGdiPlus = false;

 private:
  std::optional<os::ScopedModuleTable> modules_;
};

TEST_F(BlendGdiPlusTest, SixtyFourBitPathBlendsLikeTheGdiPath) {
  // A premultiplied source with every alpha edge: 0, 1, 128, 254 and 255.
  TcxBitmap32 src(8, 6);
  TRGBColors colors;
  const uint8_t alphas[] = {0, 1, 128, 254, 255};
  for (int i = 0; i < 48; ++i) {
    const uint8_t a = alphas[i % 5];
    colors.push_back(BlendTestQuad(a, static_cast<uint8_t>(a / 2), static_cast<uint8_t>(a * (i % 3) / 2), a));
  }
  src.SetBitmapColors(colors);
  struct Case {
    TRect dest, source;
    bool smooth;
  } cases[] = {{{2, 3, 10, 9}, {0, 0, 8, 6}, false},   // same size
               {{0, 0, 16, 12}, {0, 0, 8, 6}, false},  // doubled, nearest neighbour
               {{4, 2, 8, 5}, {2, 1, 6, 4}, true}};    // a part, same size with smoothing
  for (const auto& c : cases)
    for (uint8_t alpha : {0, 1, 128, 254, 255}) {
      const auto gdi = Blend(false, &src, c.dest, c.source, c.smooth, alpha);
      const auto gdip = Blend(true, &src, c.dest, c.source, c.smooth, alpha);
      EXPECT_LE(LargestDifference(gdi, gdip), 1) << c.dest << " from " << c.source << " at " << int(alpha);
    }
  // Constant alpha 0 leaves the destination as it was on the GDI+ path too.
  const auto before = Blend(true, &src, TRect{}, TRect{}, false, 255);
  EXPECT_EQ(LargestDifference(before, Blend(true, &src, TRect{0, 0, 16, 12}, TRect{0, 0, 8, 6}, false, 0)),
            0);
}

TEST_F(BlendGdiPlusTest, SixtyFourBitPathSmoothsWithGdiPlus) {
  // Smooth enlarging: Lanczos3 on the GDI path, GDI+'s bicubic filter on the 64-bit one. They
  // differ at the edges of an opaque red block, less in its middle (bicubic rounds the corners
  // off more), and agree far from it.
  TcxBitmap32 src(8, 6);
  TRGBColors colors(48, BlendTestQuad(0, 0, 0, 0));
  for (int y = 1; y < 5; ++y)
    for (int x = 2; x < 6; ++x) colors[static_cast<size_t>(y) * 8 + x] = BlendTestQuad(255, 0, 0, 255);
  src.SetBitmapColors(colors);
  const auto gdi = Blend(false, &src, TRect{0, 0, 16, 12}, TRect{0, 0, 8, 6}, true, 255);
  const auto gdip = Blend(true, &src, TRect{0, 0, 16, 12}, TRect{0, 0, 8, 6}, true, 255);
  EXPECT_GT(LargestDifference(gdi, gdip), 8);
  // Bottom-up rows: (7, 5) is inside the block, (0, 0) and (15, 11) are far from it.
  EXPECT_LE(LargestDifference({gdi[5 * 16 + 7]}, {gdip[5 * 16 + 7]}), 16);
  EXPECT_GE(gdip[5 * 16 + 7].rgbRed, 230);
  for (size_t i : {size_t{0}, size_t{11 * 16 + 15}})
    EXPECT_LE(LargestDifference({gdi[i]}, {gdip[i]}), 3) << i;
  // Without GDI+ the 64-bit path falls back to the software blend.
  FWithoutGdiPlus = true;
  EXPECT_EQ(LargestDifference(gdi, Blend(true, &src, TRect{0, 0, 16, 12}, TRect{0, 0, 8, 6}, true, 255)), 0);
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
