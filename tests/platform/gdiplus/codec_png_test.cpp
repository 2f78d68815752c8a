#include <gtest/gtest.h>

#include "codec_test_util.h"
#include "platform/gdiplus/codec_io.h"

namespace qd::codecs {
namespace {

using namespace test;

// A PNG of one colour type and depth, written by libpng from sample values, with the
// pixels a correct decoder must produce.
struct PngVariant {
  Bytes File;
  std::vector<uint32_t> Expected;
  std::vector<uint32_t> Palette;
};

uint32_t Sample(int x, int y, int c, int bits) {
  const uint32_t v = uint32_t(x * 3 + y * 5 + c * 7);
  return bits == 16 ? (v & 0xFF) * 257 : v & ((1u << bits) - 1);
}

uint32_t To8(uint32_t v, int bits) {
  return bits == 16 ? v / 257 : v * 255 / ((1u << bits) - 1);
}

void PackSample(Bytes& row, int index, uint32_t v, int bits) {
  if (bits == 16) {
    row[size_t(index) * 2] = uint8_t(v >> 8);
    row[size_t(index) * 2 + 1] = uint8_t(v);
  } else if (bits == 8) {
    row[size_t(index)] = uint8_t(v);
  } else {
    const int bit = index * bits;
    row[size_t(bit / 8)] |= uint8_t(v << (8 - bits - bit % 8));
  }
}

PngVariant MakeVariant(int colorType, int bits, bool interlace, bool trns) {
  const int w = 13, h = 11;
  PngSpec s;
  s.Width = w, s.Height = h, s.ColorType = colorType, s.BitDepth = bits, s.Interlace = interlace;
  const int channels = colorType == PNG_COLOR_TYPE_RGB          ? 3
                       : colorType == PNG_COLOR_TYPE_RGB_ALPHA  ? 4
                       : colorType == PNG_COLOR_TYPE_GRAY_ALPHA ? 2
                                                                : 1;
  PngVariant v;
  if (colorType == PNG_COLOR_TYPE_PALETTE) {
    for (int i = 0; i < (1 << bits); ++i) {
      s.Palette.push_back(png_color{uint8_t(i * 40), uint8_t(255 - i * 3), uint8_t(i * 7)});
      if (trns && i < 5) s.TrnsAlpha.push_back(uint8_t(i * 60));
    }
  }
  if (trns && colorType == PNG_COLOR_TYPE_GRAY) {
    s.HasTrnsColor = true;
    s.TrnsColor.gray = png_uint_16(Sample(1, 0, 0, bits));
  }
  if (trns && colorType == PNG_COLOR_TYPE_RGB) {
    s.HasTrnsColor = true;
    s.TrnsColor.red = png_uint_16(Sample(2, 1, 0, bits));
    s.TrnsColor.green = png_uint_16(Sample(2, 1, 1, bits));
    s.TrnsColor.blue = png_uint_16(Sample(2, 1, 2, bits));
  }
  std::vector<Bytes> rows(h, Bytes((size_t(w) * channels * bits + 7) / 8, 0));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t c[4];
      for (int k = 0; k < channels; ++k) {
        c[k] = Sample(x, y, k, bits);
        PackSample(rows[y], x * channels + k, c[k], bits);
      }
      uint32_t px = 0;
      switch (colorType) {
        case PNG_COLOR_TYPE_PALETTE: {
          const png_color& p = s.Palette[c[0]];
          const uint32_t a = c[0] < s.TrnsAlpha.size() ? s.TrnsAlpha[c[0]] : 255;
          px = Argb(a, p.red, p.green, p.blue);
          break;
        }
        case PNG_COLOR_TYPE_GRAY: {
          const uint32_t g = To8(c[0], bits);
          px = Argb(s.HasTrnsColor && c[0] == s.TrnsColor.gray ? 0 : 255, g, g, g);
          break;
        }
        case PNG_COLOR_TYPE_GRAY_ALPHA: {
          const uint32_t g = To8(c[0], bits);
          px = Argb(To8(c[1], bits), g, g, g);
          break;
        }
        case PNG_COLOR_TYPE_RGB: {
          const bool key = s.HasTrnsColor && c[0] == s.TrnsColor.red && c[1] == s.TrnsColor.green &&
                           c[2] == s.TrnsColor.blue;
          px = Argb(key ? 0 : 255, To8(c[0], bits), To8(c[1], bits), To8(c[2], bits));
          break;
        }
        default:
          px = Argb(To8(c[3], bits), To8(c[0], bits), To8(c[1], bits), To8(c[2], bits));
      }
      v.Expected.push_back(px);
    }
  for (size_t i = 0; i < s.Palette.size(); ++i)
    v.Palette.push_back(Argb(i < s.TrnsAlpha.size() ? s.TrnsAlpha[i] : 255, s.Palette[i].red,
                             s.Palette[i].green, s.Palette[i].blue));
  v.File = WritePng(s, rows);
  return v;
}

TEST(CodecPng, DecodesEveryColourTypeAndDepth) {
  struct Case {
    const char* name;
    int colorType, bits;
    bool interlace, trns;
    PixelKind kind;
    bool alpha;
  } cases[] = {
      {"palette 1", PNG_COLOR_TYPE_PALETTE, 1, false, false, PixelKind::Indexed1, false},
      {"palette 2", PNG_COLOR_TYPE_PALETTE, 2, false, false, PixelKind::Indexed4, false},
      {"palette 4 tRNS", PNG_COLOR_TYPE_PALETTE, 4, false, true, PixelKind::Indexed4, true},
      {"palette 8 tRNS interlaced", PNG_COLOR_TYPE_PALETTE, 8, true, true, PixelKind::Indexed8, true},
      {"grey 1", PNG_COLOR_TYPE_GRAY, 1, false, false, PixelKind::Indexed1, false},
      {"grey 2 interlaced", PNG_COLOR_TYPE_GRAY, 2, true, false, PixelKind::Indexed4, false},
      {"grey 4 tRNS", PNG_COLOR_TYPE_GRAY, 4, false, true, PixelKind::Indexed4, true},
      {"grey 8", PNG_COLOR_TYPE_GRAY, 8, false, false, PixelKind::Grey8, false},
      {"grey 16 tRNS", PNG_COLOR_TYPE_GRAY, 16, false, true, PixelKind::Grey16, true},
      {"grey alpha 8", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, false, PixelKind::Argb32, true},
      {"grey alpha 16 interlaced", PNG_COLOR_TYPE_GRAY_ALPHA, 16, true, false, PixelKind::Argb64, true},
      {"rgb 8", PNG_COLOR_TYPE_RGB, 8, false, false, PixelKind::Rgb24, false},
      {"rgb 8 tRNS", PNG_COLOR_TYPE_RGB, 8, false, true, PixelKind::Rgb24, true},
      {"rgb 16 interlaced", PNG_COLOR_TYPE_RGB, 16, true, false, PixelKind::Rgb48, false},
      {"rgba 8 interlaced", PNG_COLOR_TYPE_RGB_ALPHA, 8, true, false, PixelKind::Argb32, true},
      {"rgba 16", PNG_COLOR_TYPE_RGB_ALPHA, 16, false, false, PixelKind::Argb64, true},
  };
  for (const auto& c : cases) {
    const PngVariant v = MakeVariant(c.colorType, c.bits, c.interlace, c.trns);
    Image image;
    ASSERT_EQ(Decode(v.File, image), Status::Ok) << c.name;
    EXPECT_EQ(image.Format, ImageFormat::PNG) << c.name;
    EXPECT_EQ(image.SourceKind, c.kind) << c.name;
    ASSERT_EQ(image.Frames.size(), 1u) << c.name;
    const Frame& f = image.Frames[0];
    ASSERT_EQ(f.Width, 13) << c.name;
    ASSERT_EQ(f.Height, 11) << c.name;
    for (size_t i = 0; i < v.Expected.size(); ++i)
      ASSERT_EQ(f.Pixels[i], v.Expected[i]) << c.name << " pixel " << i % 13 << "," << i / 13;
    if (c.colorType == PNG_COLOR_TYPE_PALETTE) {
      EXPECT_EQ(image.Palette.Entries, v.Palette) << c.name;
    }
    if (c.alpha && c.colorType == PNG_COLOR_TYPE_PALETTE) {
      EXPECT_TRUE(image.Palette.Flags & PaletteFlagsHasAlpha) << c.name;
    }
    EXPECT_EQ((image.Flags & ImageFlagsHasAlpha) != 0, c.alpha) << c.name;
  }
}

TEST(CodecPng, ResolutionFromPhys) {
  PngSpec s;
  s.Width = 2, s.Height = 2, s.ColorType = PNG_COLOR_TYPE_GRAY;
  s.PpmX = 11811;  // 300 dpi
  s.PpmY = 5906;   // 150 dpi
  Image image;
  ASSERT_EQ(Decode(WritePng(s, std::vector<Bytes>(2, Bytes(2))), image), Status::Ok);
  EXPECT_NEAR(image.DpiX, 300.0, 0.01);
  EXPECT_NEAR(image.DpiY, 150.0, 0.02);
  EXPECT_TRUE(image.Flags & ImageFlagsHasRealDPI);
  const PropertyItem* unit = image.FindProperty(PropertyTagPixelUnit);
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(unit->Value, Bytes{1});

  Image plain;
  ASSERT_EQ(Decode(WritePngArgb(2, 2, Pattern(2, 2)), plain), Status::Ok);
  EXPECT_EQ(plain.DpiX, 96.0);
  EXPECT_FALSE(plain.Flags & ImageFlagsHasRealDPI);
  EXPECT_EQ(plain.FindProperty(PropertyTagPixelUnit), nullptr);
}

TEST(CodecPng, DamagedFilesFail) {
  const Bytes good = WritePngArgb(40, 30, Pattern(40, 30));
  Bytes badCrc = good;
  badCrc[29] ^= 0xFF;  // inside IHDR: its CRC no longer matches
  Bytes badIdat = good;
  for (size_t i = 60; i < badIdat.size() - 20; i += 7) badIdat[i] ^= 0x55;
  struct Case {
    const char* name;
    Bytes data;
  } cases[] = {
      {"truncated in IDAT", Bytes(good.begin(), good.begin() + std::ptrdiff_t(good.size() / 2))},
      {"only the signature", Bytes(good.begin(), good.begin() + 8)},
      {"IHDR checksum", badCrc},
      {"scrambled IDAT", badIdat},
  };
  for (const auto& c : cases) {
    Image image;
    EXPECT_EQ(Decode(c.data, image), Status::InvalidParameter) << c.name;
    EXPECT_TRUE(image.Frames.empty()) << c.name;
  }
}

}  // namespace
}  // namespace qd::codecs
