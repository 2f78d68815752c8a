#include <gtest/gtest.h>

#include "codec_test_util.h"
#include "platform/gdiplus/codec_io.h"

namespace qd::codecs {
namespace {

using namespace test;

uint32_t Scale(uint32_t v, int bits) {
  return (v * 255 + ((1u << bits) - 1) / 2) / ((1u << bits) - 1);
}

struct BmpCase {
  const char* name;
  DibSpec spec;
  std::function<uint32_t(int, int)> expected;
  PixelKind kind;
};

std::vector<BmpCase> UncompressedCases() {
  std::vector<BmpCase> cases;
  auto add = [&](const char* name, int header, int w, int h, int bpp, uint32_t compression,
                 std::vector<uint32_t> masks, std::vector<uint32_t> palette,
                 std::function<uint32_t(int, int)> value, std::function<uint32_t(int, int)> expected,
                 PixelKind kind, uint32_t clrUsed = 0) {
    DibSpec s;
    s.HeaderSize = header, s.Width = w, s.Height = h, s.BitCount = bpp, s.Compression = compression;
    s.Masks = std::move(masks), s.Palette = std::move(palette), s.ClrUsed = clrUsed;
    s.Bits = PackRows(w, std::abs(h), bpp, h < 0, value);
    cases.push_back({name, s, std::move(expected), kind});
  };
  std::vector<uint32_t> pal16;
  for (uint32_t i = 0; i < 16; ++i) pal16.push_back(i * 0x0F0E0D);
  std::vector<uint32_t> pal256;
  for (uint32_t i = 0; i < 256; ++i) pal256.push_back((i << 16) | ((255 - i) << 8) | (i / 2));

  add(
      "1 bpp", 40, 10, 3, 1, 0, {}, {0x102030, 0xA0B0C0}, [](int x, int y) { return uint32_t(x + y) % 2; },
      [](int x, int y) { return (x + y) % 2 ? 0xFFA0B0C0u : 0xFF102030u; }, PixelKind::Indexed1);
  add(
      "4 bpp top-down", 40, 7, -4, 4, 0, {}, pal16, [](int x, int y) { return uint32_t(x * 3 + y) % 16; },
      [pal16](int x, int y) { return 0xFF000000u | pal16[(x * 3 + y) % 16]; }, PixelKind::Indexed4);
  add(
      "8 bpp short palette", 40, 5, 3, 8, 0, {}, {0x010203, 0x040506, 0x070809},
      [](int x, int y) { return uint32_t(x + y) % 4; },
      [](int x, int y) {
        const uint32_t colours[4] = {0xFF010203, 0xFF040506, 0xFF070809, 0xFF000000};
        return colours[(x + y) % 4];
      },
      PixelKind::Indexed8, 3);
  add(
      "core 8 bpp", 12, 6, 2, 8, 0, {}, pal256, [](int x, int y) { return uint32_t(x * 40 + y); },
      [pal256](int x, int y) { return 0xFF000000u | pal256[x * 40 + y]; }, PixelKind::Indexed8);
  add(
      "core 24 bpp", 12, 3, 2, 24, 0, {}, {}, [](int x, int y) { return uint32_t(x * 0x102030 + y); },
      [](int x, int y) { return 0xFF000000u | uint32_t(x * 0x102030 + y); }, PixelKind::Rgb24);
  add(
      "16 bpp 555", 40, 6, 3, 16, 0, {}, {},
      [](int x, int y) { return uint32_t((x % 32) << 10 | (y % 32) << 5 | ((x + y) * 5) % 32); },
      [](int x, int y) {
        return Argb(255, Scale(x % 32, 5), Scale(y % 32, 5), Scale(((x + y) * 5) % 32, 5));
      },
      PixelKind::Rgb555);
  add(
      "16 bpp 565 bit fields", 40, 6, 3, 16, 3, {0xF800, 0x07E0, 0x001F}, {},
      [](int x, int y) { return uint32_t((x * 5) << 11 | (y * 20) << 5 | (x + y)); },
      [](int x, int y) { return Argb(255, Scale(x * 5, 5), Scale(y * 20, 6), Scale(x + y, 5)); },
      PixelKind::Rgb565);
  add(
      "16 bpp 1555 V4", 108, 4, 2, 16, 3, {0x7C00, 0x03E0, 0x001F, 0x8000}, {},
      [](int x, int y) { return uint32_t((x % 2) << 15 | (x * 7) << 10 | (y * 9) << 5 | 31); },
      [](int x, int y) { return Argb(x % 2 ? 255 : 0, Scale(x * 7, 5), Scale(y * 9, 5), 255); },
      PixelKind::Argb1555);
  add(
      "24 bpp with row padding", 40, 5, 3, 24, 0, {}, {},
      [](int x, int y) { return uint32_t(x * 0x203040 + y * 0x010101); },
      [](int x, int y) { return 0xFF000000u | uint32_t(x * 0x203040 + y * 0x010101); }, PixelKind::Rgb24);
  add(
      "32 bpp alpha byte all zero", 40, 4, 2, 32, 0, {}, {},
      [](int x, int y) { return uint32_t(x * 0x404040 + y); },
      [](int x, int y) { return 0xFF000000u | uint32_t(x * 0x404040 + y); }, PixelKind::Rgb32);
  add(
      "32 bpp alpha byte used", 40, 4, 2, 32, 0, {}, {},
      [](int x, int y) { return uint32_t(x * 50) << 24 | uint32_t(x * 0x404040 + y); },
      [](int x, int y) { return uint32_t(x * 50) << 24 | uint32_t(x * 0x404040 + y); }, PixelKind::Argb32);
  add(
      "32 bpp V5 alpha mask, all transparent", 124, 4, 2, 32, 3, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, {},
      [](int x, int y) { return uint32_t(x * 0x101010 + y); },
      [](int x, int y) { return uint32_t(x * 0x101010 + y); }, PixelKind::Argb32);
  add(
      "32 bpp swapped bit fields", 40, 4, 2, 32, 3, {0x0000FF, 0x00FF00, 0xFF0000}, {},
      [](int x, int y) { return uint32_t(0x112233 * (x + 1) + y); },
      [](int x, int y) {
        const uint32_t v = uint32_t(0x112233 * (x + 1) + y);
        return Argb(255, v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
      },
      PixelKind::Rgb32);
  return cases;
}

void CheckPixels(const char* name, const Image& image, int w, int h,
                 const std::function<uint32_t(int, int)>& expected) {
  ASSERT_EQ(image.Width(), w) << name;
  ASSERT_EQ(image.Height(), h) << name;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      ASSERT_EQ(image.Frames[0].At(x, y), expected(x, y)) << name << " pixel " << x << "," << y;
}

TEST(CodecBmp, DecodesUncompressedVariants) {
  for (const auto& c : UncompressedCases()) {
    Image image;
    ASSERT_EQ(Decode(WriteBmp(c.spec), image), Status::Ok) << c.name;
    EXPECT_EQ(image.Format, ImageFormat::BMP) << c.name;
    EXPECT_EQ(image.SourceKind, c.kind) << c.name;
    CheckPixels(c.name, image, c.spec.Width, std::abs(c.spec.Height), c.expected);
  }
}

TEST(CodecBmp, DecodesRunLengthEncoding) {
  const std::vector<uint32_t> palette = {0x000010, 0x000020, 0x000030, 0x000040, 0x000050, 0x000060};
  auto colour = [&](int i) { return 0xFF000000u | palette[size_t(i)]; };
  // Bottom row: a run, an absolute run, end of line; a delta skips the middle row and two
  // pixels; a run; end of bitmap. Skipped pixels take colour 0.
  DibSpec rle8;
  rle8.Width = 6, rle8.Height = 3, rle8.BitCount = 8, rle8.Compression = 1, rle8.Palette = palette;
  rle8.Bits = {3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 2, 1, 2, 5, 0, 1};
  const int rle8Rows[3][6] = {{0, 0, 5, 5, 0, 0}, {0, 0, 0, 0, 0, 0}, {1, 1, 1, 2, 3, 4}};

  DibSpec rle4;
  rle4.Width = 5, rle4.Height = 2, rle4.BitCount = 4, rle4.Compression = 2;
  for (uint32_t i = 0; i < 16; ++i) rle4.Palette.push_back(i * 0x10);
  rle4.Bits = {0, 5, 0x34, 0x56, 0x70, 0, 0, 0, 4, 0x89, 0, 1};
  const int rle4Rows[2][5] = {{8, 9, 8, 9, 0}, {3, 4, 5, 6, 7}};

  Image a, b;
  ASSERT_EQ(Decode(WriteBmp(rle8), a), Status::Ok);
  CheckPixels("rle8", a, 6, 3, [&](int x, int y) { return colour(rle8Rows[y][x]); });
  EXPECT_EQ(a.SourceKind, PixelKind::Indexed8);
  ASSERT_EQ(Decode(WriteBmp(rle4), b), Status::Ok);
  CheckPixels("rle4", b, 5, 2, [&](int x, int y) { return 0xFF000000u | uint32_t(rle4Rows[y][x] * 0x10); });
  EXPECT_EQ(b.SourceKind, PixelKind::Indexed4);
}

TEST(CodecBmp, ResolutionFromPixelsPerMetre) {
  DibSpec s;
  s.Width = 1, s.Height = 1, s.Ppm = 11811;
  s.Bits = {1, 2, 3, 0};
  Image image;
  ASSERT_EQ(Decode(WriteBmp(s), image), Status::Ok);
  EXPECT_NEAR(image.DpiX, 300, 0.01);
  EXPECT_TRUE(image.Flags & ImageFlagsHasRealDPI);
  s.Ppm = 0;
  ASSERT_EQ(Decode(WriteBmp(s), image), Status::Ok);
  EXPECT_EQ(image.DpiX, 96.0);
  EXPECT_FALSE(image.Flags & ImageFlagsHasRealDPI);
}

}  // namespace
}  // namespace qd::codecs
