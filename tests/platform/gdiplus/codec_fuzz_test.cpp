// Deterministic random mutations of valid files of every format: each decode and probe
// must end in a status or a well-formed image (the sanitizers catch the rest).
#include <gtest/gtest.h>

#include <random>

#include "codec_test_util.h"
#include "tests/platform/base/mutate_test_util.h"
#include "platform/gdiplus/codec_io.h"

namespace qd::codecs {
namespace {

using namespace test;

std::vector<Bytes> Seeds() {
  std::vector<Bytes> seeds;
  const std::vector<uint32_t> px = Pattern(12, 9);
  seeds.push_back(WritePngArgb(12, 9, px));
  PngSpec palette;
  palette.Width = 12, palette.Height = 9, palette.ColorType = PNG_COLOR_TYPE_PALETTE, palette.BitDepth = 4;
  palette.Interlace = true;
  for (int i = 0; i < 16; ++i) palette.Palette.push_back(png_color{uint8_t(i * 16), 0, uint8_t(255 - i)});
  palette.TrnsAlpha = {0, 128};
  seeds.push_back(WritePng(palette, std::vector<Bytes>(9, Bytes{0x01, 0x23, 0x45, 0x67, 0x89, 0xAB})));
  seeds.push_back(WriteJpegRgb(12, 9, px));
  seeds.push_back(WriteJpegRgb(12, 9, px, true));
  JpegSpec cmyk;
  cmyk.Width = 8, cmyk.Height = 8, cmyk.Components = 4, cmyk.InSpace = JCS_CMYK, cmyk.FileSpace = JCS_YCCK;
  cmyk.AdobeMarker = true, cmyk.Jfif = false;
  seeds.push_back(WriteJpeg(cmyk, Bytes(256, 77)));
  GifSpec gif;
  gif.Width = 6, gif.Height = 5, gif.Colors = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  gif.LoopCount = 2;
  GifFrameSpec f0{0, 0, 6, 5, Bytes(30, 1)};
  f0.Delay = 5, f0.Disposal = DISPOSE_PREVIOUS;
  GifFrameSpec f1{1, 1, 3, 3, Bytes(9, 2)};
  f1.Transparent = 2, f1.Interlace = true, f1.Disposal = DISPOSE_BACKGROUND;
  gif.Frames = {f0, f1, GifFrameSpec{2, 0, 2, 2, {3, 0, 3, 0}}};
  seeds.push_back(WriteGif(gif));
  TiffPageSpec page;
  page.Width = 8, page.Height = 6, page.Compression = COMPRESSION_LZW,
  page.Samples8 = RgbSamples(Pattern(8, 6));
  TiffPageSpec grey;
  grey.Width = 5, grey.Height = 5, grey.Samples = 1, grey.Photometric = PHOTOMETRIC_MINISBLACK;
  grey.Compression = COMPRESSION_PACKBITS, grey.Samples8 = Bytes(25, 99);
  seeds.push_back(WriteTiff({page, grey}));
  DibSpec bmp8;
  bmp8.Width = 9, bmp8.Height = 4, bmp8.BitCount = 8, bmp8.Palette = {0x102030, 0x405060, 0x708090};
  bmp8.Bits = PackRows(9, 4, 8, false, [](int x, int y) { return uint32_t(x + y) % 3; });
  seeds.push_back(WriteBmp(bmp8));
  DibSpec rle;
  rle.Width = 6, rle.Height = 3, rle.BitCount = 8, rle.Compression = 1, rle.Palette = {0x10, 0x20, 0x30};
  rle.Bits = {3, 1, 0, 3, 2, 1, 0, 0, 0, 0, 0, 2, 2, 1, 2, 2, 0, 1};
  seeds.push_back(WriteBmp(rle));
  DibSpec v5;
  v5.HeaderSize = 124, v5.Width = 3, v5.Height = -2, v5.BitCount = 32, v5.Compression = 3;
  v5.Masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
  v5.Bits = Bytes(24, 0x80);
  seeds.push_back(WriteBmp(v5));
  DibSpec icon;
  icon.Width = 8, icon.Height = 16, icon.BitCount = 4, icon.Palette = std::vector<uint32_t>(16, 0x123456);
  icon.Bits = Bytes(32 + 32, 0x5A);
  Bytes dib = DibHeaderBytes(icon);
  dib.insert(dib.end(), icon.Bits.begin(), icon.Bits.end());
  seeds.push_back(WriteIco({{8, 8, 4, dib}, {12, 9, 32, WritePngArgb(12, 9, px)}}));
  seeds.push_back(WriteIco({{8, 8, 4, dib}}, 2));
  return seeds;
}

using qd::testing::Mutate;

bool IsKnown(Status s) {
  switch (s) {
    case Status::Ok:
    case Status::InvalidParameter:
    case Status::OutOfMemory:
    case Status::NotImplemented:
    case Status::UnknownImageFormat:
      return true;
    default:
      return false;
  }
}

TEST(CodecFuzz, MutatedFilesOfEveryFormat) {
  const std::vector<Bytes> seeds = Seeds();
  for (const Bytes& seed : seeds) {
    Image image;
    ASSERT_EQ(Decode(seed, image), Status::Ok) << "seed " << (&seed - seeds.data());
  }
  std::mt19937 rng(20240611);
  int decoded = 0;
  for (int i = 0; i < 10000; ++i) {
    Bytes data = seeds[size_t(i) % seeds.size()];
    Mutate(data, rng);
    Image image;
    DecodeOptions options;
    options.AllFrames = i % 5 != 0;
    options.IconWidth = options.IconHeight = (i % 3) * 8;
    const Status status = Decode(data, image, options);
    ASSERT_TRUE(IsKnown(status)) << "mutation " << i << " status " << int(status);
    if (status == Status::Ok) {
      ++decoded;
      ASSERT_FALSE(image.Frames.empty()) << i;
      for (const Frame& f : image.Frames) {
        ASSERT_GT(f.Width, 0) << i;
        ASSERT_GT(f.Height, 0) << i;
        ASSERT_EQ(f.Pixels.size(), size_t(f.Width) * size_t(f.Height)) << i;
      }
    } else {
      ASSERT_TRUE(image.Frames.empty()) << i;
    }
    ImageInfo info;
    const Status probe = ProbeHeader(data, info);
    ASSERT_TRUE(IsKnown(probe)) << i;
    if (probe == Status::Ok) {
      ASSERT_GT(info.Width, 0) << i;
      ASSERT_GT(info.Height, 0) << i;
    }
  }
  // The mutations must leave many files decodable, or they would test only the refusals.
  EXPECT_GT(decoded, 2500);
}

}  // namespace
}  // namespace qd::codecs
