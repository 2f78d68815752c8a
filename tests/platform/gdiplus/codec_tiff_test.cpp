#include <gtest/gtest.h>

#include "codec_test_util.h"
#include "platform/gdiplus/codec_io.h"

namespace qd::codecs {
namespace {

using namespace test;

// A page of the given layout whose samples follow simple ramps, with the expected pixels.
struct TiffVariant {
  TiffPageSpec Page;
  std::vector<uint32_t> Expected;
};

TiffVariant Variant(int photometric, int samples, int bits, int extra, int compression) {
  TiffVariant v;
  TiffPageSpec& p = v.Page;
  p.Width = 9, p.Height = 7, p.Samples = samples, p.Bits = bits, p.Photometric = photometric;
  p.Compression = compression;
  p.UnassociatedAlpha = extra == EXTRASAMPLE_UNASSALPHA;
  p.AssociatedAlpha = extra == EXTRASAMPLE_ASSOCALPHA;
  for (int y = 0; y < p.Height; ++y)
    for (int x = 0; x < p.Width; ++x) {
      uint32_t s[4];
      for (int c = 0; c < samples; ++c) s[c] = uint32_t(x * 25 + y * 11 + c * 60) & 0xFF;
      if (extra) s[samples - 1] = (x + y) % 3 == 0 ? 255 : uint32_t(40 + x * 20);
      if (extra == EXTRASAMPLE_ASSOCALPHA)
        for (int c = 0; c < samples - 1; ++c) s[c] = s[c] * s[samples - 1] / 255;  // premultiplied
      for (int c = 0; c < samples; ++c) {
        if (bits == 16) {
          const uint16_t w16 = uint16_t(s[c] * 257);
          p.Samples8.insert(p.Samples8.end(), {uint8_t(w16), uint8_t(w16 >> 8)});  // host order
        } else {
          p.Samples8.push_back(uint8_t(s[c]));
        }
      }
      uint32_t px;
      if (photometric == PHOTOMETRIC_MINISBLACK) {
        px = Argb(255, s[0], s[0], s[0]);
      } else if (photometric == PHOTOMETRIC_SEPARATED) {
        auto ch = [&](uint32_t ink) { return (255 - ink) * (255 - s[3]) / 255; };
        px = Argb(255, ch(s[0]), ch(s[1]), ch(s[2]));
      } else if (extra) {
        const uint32_t a = s[3];
        auto un = [&](uint32_t c) { return a ? std::min<uint32_t>(255, (c * 255 + a / 2) / a) : 0; };
        px = extra == EXTRASAMPLE_ASSOCALPHA ? (a ? Argb(a, un(s[0]), un(s[1]), un(s[2])) : 0)
                                             : Argb(a, s[0], s[1], s[2]);
      } else {
        px = Argb(255, s[0], s[1], s[2]);
      }
      v.Expected.push_back(px);
    }
  return v;
}

TEST(CodecTiff, DecodesLayoutsAndCompressions) {
  struct Case {
    const char* name;
    int photometric, samples, bits, extra, compression;
    PixelKind kind;
    int tolerance;
  } cases[] = {
      {"rgb", PHOTOMETRIC_RGB, 3, 8, 0, COMPRESSION_NONE, PixelKind::Rgb24, 0},
      {"rgb lzw", PHOTOMETRIC_RGB, 3, 8, 0, COMPRESSION_LZW, PixelKind::Rgb24, 0},
      {"rgb deflate", PHOTOMETRIC_RGB, 3, 8, 0, COMPRESSION_ADOBE_DEFLATE, PixelKind::Rgb24, 0},
      {"rgb packbits", PHOTOMETRIC_RGB, 3, 8, 0, COMPRESSION_PACKBITS, PixelKind::Rgb24, 0},
      {"rgba straight", PHOTOMETRIC_RGB, 4, 8, EXTRASAMPLE_UNASSALPHA, COMPRESSION_LZW, PixelKind::Argb32, 0},
      {"rgba premultiplied", PHOTOMETRIC_RGB, 4, 8, EXTRASAMPLE_ASSOCALPHA, COMPRESSION_NONE,
       PixelKind::Argb32, 0},
      {"rgb 16", PHOTOMETRIC_RGB, 3, 16, 0, COMPRESSION_NONE, PixelKind::Rgb48, 0},
      {"grey", PHOTOMETRIC_MINISBLACK, 1, 8, 0, COMPRESSION_NONE, PixelKind::Grey8, 0},
      {"cmyk", PHOTOMETRIC_SEPARATED, 4, 8, 0, COMPRESSION_NONE, PixelKind::Cmyk32, 1},
  };
  for (const auto& c : cases) {
    const TiffVariant v = Variant(c.photometric, c.samples, c.bits, c.extra, c.compression);
    Image image;
    ASSERT_EQ(Decode(WriteTiff({v.Page}), image), Status::Ok) << c.name;
    EXPECT_EQ(image.Format, ImageFormat::TIFF) << c.name;
    EXPECT_EQ(image.SourceKind, c.kind) << c.name;
    ASSERT_EQ(image.Frames.size(), 1u) << c.name;
    ASSERT_EQ(image.Width(), 9) << c.name;
    ASSERT_EQ(image.Height(), 7) << c.name;
    for (size_t i = 0; i < v.Expected.size(); ++i)
      ASSERT_LE(MaxChannelDiff(image.Frames[0].Pixels[i], v.Expected[i]), c.tolerance)
          << c.name << " pixel " << i << ": " << std::hex << image.Frames[0].Pixels[i] << " vs "
          << v.Expected[i];
  }
}

TEST(CodecTiff, PagesBecomeFrames) {
  TiffVariant first = Variant(PHOTOMETRIC_RGB, 3, 8, 0, COMPRESSION_LZW);
  first.Page.DpiX = 300, first.Page.DpiY = 200;
  TiffVariant second = Variant(PHOTOMETRIC_MINISBLACK, 1, 8, 0, COMPRESSION_NONE);
  TiffVariant third = Variant(PHOTOMETRIC_RGB, 4, 8, EXTRASAMPLE_UNASSALPHA, COMPRESSION_NONE);
  third.Page.Width = 3, third.Page.Height = 21;  // same samples, another shape
  const Bytes file = WriteTiff({first.Page, second.Page, third.Page});

  Image image;
  ASSERT_EQ(Decode(file, image), Status::Ok);
  EXPECT_EQ(image.Dimension, FrameDimension::Page);
  EXPECT_EQ(image.DimensionGuid(), kFrameDimensionPage);
  EXPECT_EQ(image.SourceKind, PixelKind::Rgb24);
  EXPECT_NEAR(image.DpiX, 300, 1e-3);
  EXPECT_NEAR(image.DpiY, 200, 1e-3);
  ASSERT_EQ(image.Frames.size(), 3u);
  EXPECT_EQ(image.Frames[0].Pixels, first.Expected);
  EXPECT_EQ(image.Frames[1].Pixels, second.Expected);
  EXPECT_EQ(image.Frames[2].Width, 3);
  EXPECT_EQ(image.Frames[2].Height, 21);
  EXPECT_EQ(image.Frames[2].Pixels, third.Expected);

  DecodeOptions firstOnly;
  firstOnly.AllFrames = false;
  Image one;
  ASSERT_EQ(Decode(file, one, firstOnly), Status::Ok);
  EXPECT_EQ(one.Frames.size(), 1u);
}

}  // namespace
}  // namespace qd::codecs
