// Damaged and hostile files: every one yields a status, never a crash, a hang or a huge
// allocation; on failure nothing is left in the image.
#include <gtest/gtest.h>

#include <zlib.h>

#include "codec_test_util.h"
#include "platform/gdiplus/codec_io.h"

namespace qd::codecs {
namespace {

using namespace test;

void PutBe32(Bytes& b, size_t at, uint32_t v) {
  b[at] = uint8_t(v >> 24), b[at + 1] = uint8_t(v >> 16), b[at + 2] = uint8_t(v >> 8), b[at + 3] = uint8_t(v);
}

// A small valid PNG whose IHDR then claims another size (with a matching checksum).
Bytes PngClaiming(uint32_t w, uint32_t h) {
  Bytes b = WritePngArgb(4, 4, Pattern(4, 4));
  PutBe32(b, 16, w);
  PutBe32(b, 20, h);
  PutBe32(b, 29, uint32_t(crc32(0, b.data() + 12, 17)));
  return b;
}

Bytes JpegClaiming(uint16_t w, uint16_t h) {
  Bytes b = WriteJpegRgb(8, 8, Pattern(8, 8));
  for (size_t i = 2; i + 9 < b.size(); ++i)
    if (b[i] == 0xFF && b[i + 1] == 0xC0) {
      b[i + 5] = uint8_t(h >> 8), b[i + 6] = uint8_t(h), b[i + 7] = uint8_t(w >> 8), b[i + 8] = uint8_t(w);
      break;
    }
  return b;
}

Bytes GifClaiming(int screenW, int screenH, int frameW, int frameH) {
  GifSpec s;
  s.Width = 1, s.Height = 1;
  s.Colors = {{0, 0, 0}, {255, 255, 255}};
  s.Frames = {GifFrameSpec{0, 0, 1, 1, {1}}};
  Bytes b = WriteGif(s);
  b[6] = uint8_t(screenW), b[7] = uint8_t(screenW >> 8), b[8] = uint8_t(screenH),
  b[9] = uint8_t(screenH >> 8);
  for (size_t i = 13 + 6; i + 9 < b.size(); ++i)
    if (b[i] == 0x2C && b[i - 1] == 0) {
      b[i + 5] = uint8_t(frameW), b[i + 6] = uint8_t(frameW >> 8);
      b[i + 7] = uint8_t(frameH), b[i + 8] = uint8_t(frameH >> 8);
      break;
    }
  return b;
}

Bytes BmpClaiming(int w, int h, int bpp, uint32_t compression, size_t dataBytes) {
  DibSpec s;
  s.Width = w, s.Height = h, s.BitCount = bpp, s.Compression = compression;
  s.Bits.assign(dataBytes, 0);
  if (compression) s.Bits = {0, 1};  // RLE: end of bitmap at once
  return WriteBmp(s);
}

Bytes TiffClaiming(uint32_t w, uint32_t h) {
  TiffPageSpec p;
  p.Width = 2, p.Height = 2, p.Samples8.assign(12, 9);
  Bytes b = WriteTiff({p});
  // Patch the width and height entries of the first directory (LONG or SHORT values).
  const uint32_t ifd = b[4] | b[5] << 8 | b[6] << 16 | uint32_t(b[7]) << 24;
  const uint32_t count = b[ifd] | b[ifd + 1] << 8;
  for (uint32_t i = 0; i < count; ++i) {
    uint8_t* e = b.data() + ifd + 2 + 12 * i;
    const uint16_t tag = uint16_t(e[0] | e[1] << 8);
    if (tag != 256 && tag != 257) continue;
    const uint32_t v = tag == 256 ? w : h;
    e[2] = 4, e[3] = 0;  // LONG
    e[8] = uint8_t(v), e[9] = uint8_t(v >> 8), e[10] = uint8_t(v >> 16), e[11] = uint8_t(v >> 24);
  }
  return b;
}

Bytes IcoWithPng(const Bytes& png) {
  return WriteIco({{16, 16, 32, png}});
}

// A progressive JPEG whose last scan is repeated `copies` more times.
Bytes JpegWithExtraScans(int copies) {
  const Bytes base = WriteJpegRgb(16, 16, Smooth(16, 16), true);
  size_t lastSos = 0;
  for (size_t i = 2; i + 1 < base.size(); ++i)
    if (base[i] == 0xFF && base[i + 1] == 0xDA) lastSos = i;
  const size_t eoi = base.size() - 2;
  Bytes out(base.begin(), base.begin() + std::ptrdiff_t(eoi));
  for (int c = 0; c < copies; ++c)
    out.insert(out.end(), base.begin() + std::ptrdiff_t(lastSos), base.begin() + std::ptrdiff_t(eoi));
  out.insert(out.end(), {0xFF, 0xD9});
  return out;
}

Bytes ManyFrameGif(int frames) {
  GifSpec s;
  s.Width = 1, s.Height = 1;
  s.Colors = {{0, 0, 0}, {255, 255, 255}};
  for (int i = 0; i < frames; ++i) s.Frames.push_back(GifFrameSpec{0, 0, 1, 1, {uint8_t(i & 1)}});
  return WriteGif(s);
}

TEST(CodecHostile, SizesBeyondLimitsOrData) {
  struct Case {
    const char* name;
    Bytes data;
    Status status;
  } cases[] = {
      {"png 100000 x 100000", PngClaiming(100000, 100000), Status::OutOfMemory},
      {"png 2^31 wide", PngClaiming(0x7FFFFFFF, 1), Status::InvalidParameter},  // refused by libpng itself
      {"png 10000 x 10000 from a few bytes", PngClaiming(10000, 10000), Status::InvalidParameter},
      {"jpeg 65000 x 65000", JpegClaiming(65000, 65000), Status::OutOfMemory},
      {"jpeg 10000 x 10000 from a few bytes", JpegClaiming(10000, 10000), Status::InvalidParameter},
      {"gif screen 65535 x 65535", GifClaiming(65535, 65535, 1, 1), Status::OutOfMemory},
      {"gif frame 60000 x 60000", GifClaiming(1, 1, 60000, 60000), Status::OutOfMemory},
      {"gif screen 10000 x 10000 from a few bytes", GifClaiming(10000, 10000, 1, 1),
       Status::InvalidParameter},
      {"gif with too many frames", ManyFrameGif(int(kMaxFrames) + 1), Status::OutOfMemory},
      {"bmp 100000 x 100000", BmpClaiming(100000, 100000, 24, 0, 16), Status::OutOfMemory},
      {"bmp pixels missing", BmpClaiming(1000, 1000, 24, 0, 100), Status::InvalidParameter},
      {"bmp rle 30000 x 30000", BmpClaiming(30000, 30000, 8, 1, 0), Status::OutOfMemory},
      {"bmp rle 8000 x 8000 from two bytes", BmpClaiming(8000, 8000, 8, 1, 0), Status::InvalidParameter},
      {"tiff 100000 x 100000", TiffClaiming(100000, 100000), Status::OutOfMemory},
      {"tiff 10000 x 10000 from a few bytes", TiffClaiming(10000, 10000), Status::InvalidParameter},
      {"icon with a huge png", IcoWithPng(PngClaiming(100000, 100000)), Status::OutOfMemory},
      {"jpeg with 600 more scans", JpegWithExtraScans(600), Status::InvalidParameter},
  };
  for (const auto& c : cases) {
    Image image;
    EXPECT_EQ(Decode(c.data, image), c.status) << c.name;
    EXPECT_TRUE(image.Frames.empty()) << c.name;
    EXPECT_EQ(image.Format, ImageFormat::Unknown) << c.name;
  }
  // Below the scan limit the repeated refinement scans are harmless.
  Image image;
  EXPECT_EQ(Decode(JpegWithExtraScans(100), image), Status::Ok);
}

// Every valid file cut at several points: strict formats fail, the others may keep what
// arrived whole, and nothing crashes.
TEST(CodecHostile, TruncatedFiles) {
  GifSpec gif;
  gif.Width = 8, gif.Height = 8, gif.Colors = {{0, 0, 0}, {255, 0, 0}};
  gif.Frames = {GifFrameSpec{0, 0, 8, 8, Bytes(64, 1)}, GifFrameSpec{0, 0, 8, 8, Bytes(64, 0)}};
  TiffPageSpec page;
  page.Width = 16, page.Height = 16, page.Compression = COMPRESSION_LZW,
  page.Samples8 = RgbSamples(Pattern(16, 16));
  DibSpec dib;
  dib.Width = 16, dib.Height = 16,
  dib.Bits = PackRows(16, 16, 24, false, [](int x, int y) { return uint32_t(x * y); });
  struct Case {
    const char* name;
    Bytes file;
    bool strict;
  } cases[] = {
      {"png", WritePngArgb(16, 16, Pattern(16, 16)), true},
      {"bmp", WriteBmp(dib), true},
      {"icon", IcoWithPng(WritePngArgb(16, 16, Pattern(16, 16))), true},
      {"jpeg", WriteJpegRgb(16, 16, Pattern(16, 16)), false},
      {"progressive jpeg", WriteJpegRgb(16, 16, Pattern(16, 16), true), false},
      {"gif", WriteGif(gif), false},
      {"tiff", WriteTiff({page, page}), false},
  };
  for (const auto& c : cases) {
    for (size_t cut : {size_t(3), size_t(12), c.file.size() / 4, c.file.size() / 2, c.file.size() - 20}) {
      const Bytes part(c.file.begin(), c.file.begin() + std::ptrdiff_t(cut));
      Image image;
      const Status status = Decode(part, image);
      if (c.strict || status != Status::Ok) {
        EXPECT_NE(status, Status::Ok) << c.name << " cut at " << cut;
        EXPECT_TRUE(image.Frames.empty()) << c.name << " cut at " << cut;
      } else {
        EXPECT_FALSE(image.Frames.empty()) << c.name << " cut at " << cut;
      }
      ImageInfo info;
      ProbeHeader(part, info);
    }
  }
}

}  // namespace
}  // namespace qd::codecs
