#include <gtest/gtest.h>

#include "codec_test_util.h"
#include "platform/gdiplus/codec_io.h"

namespace qd::codecs {
namespace {

using namespace test;

Bytes Emf() {
  Bytes b(88, 0);
  b[0] = 1;                                                // EMR_HEADER
  b[40] = 0x20, b[41] = 0x45, b[42] = 0x4D, b[43] = 0x46;  // " EMF"
  return b;
}

TEST(CodecDetect, SignaturesSelectTheFormat) {
  struct Case {
    const char* name;
    Bytes data;
    ImageFormat format;
  } cases[] = {
      {"png", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0}, ImageFormat::PNG},
      {"png cut", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A}, ImageFormat::Unknown},
      {"jpeg", {0xFF, 0xD8, 0xFF, 0xE0}, ImageFormat::JPEG},
      {"jpeg two bytes", {0xFF, 0xD8}, ImageFormat::Unknown},
      {"gif87a", {'G', 'I', 'F', '8', '7', 'a'}, ImageFormat::GIF},
      {"gif89a", {'G', 'I', 'F', '8', '9', 'a'}, ImageFormat::GIF},
      {"gif88a", {'G', 'I', 'F', '8', '8', 'a'}, ImageFormat::Unknown},
      {"tiff little", {'I', 'I', 0x2A, 0}, ImageFormat::TIFF},
      {"tiff big", {'M', 'M', 0, 0x2A}, ImageFormat::TIFF},
      {"tiff mixed", {'I', 'I', 0, 0x2A}, ImageFormat::Unknown},
      {"bmp", {'B', 'M', 0, 0}, ImageFormat::BMP},
      {"icon", {0, 0, 1, 0, 1, 0}, ImageFormat::Icon},
      {"cursor", {0, 0, 2, 0, 3, 0}, ImageFormat::Icon},
      {"icon without entries", {0, 0, 1, 0, 0, 0}, ImageFormat::Unknown},
      {"emf", Emf(), ImageFormat::EMF},
      {"wmf placeable", {0xD7, 0xCD, 0xC6, 0x9A, 0, 0}, ImageFormat::WMF},
      {"wmf plain", {1, 0, 9, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, ImageFormat::WMF},
      {"empty", {}, ImageFormat::Unknown},
      {"text", {'h', 'e', 'l', 'l', 'o'}, ImageFormat::Unknown},
  };
  for (const auto& c : cases) EXPECT_EQ(DetectFormat(c.data), c.format) << c.name;
}

TEST(CodecDetect, RawFormatGuidsMatchGdiplus) {
  const Guid png = RawFormatGuid(ImageFormat::PNG);
  EXPECT_EQ(png.Data1, 0xB96B3CAFu);
  EXPECT_EQ(png.Data2, 0x0728);
  EXPECT_EQ(png.Data3, 0x11D3);
  const uint8_t tail[8] = {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E};
  EXPECT_EQ(0, std::memcmp(png.Data4, tail, 8));
  struct {
    ImageFormat format;
    uint32_t data1;
  } table[] = {{ImageFormat::MemoryBMP, 0xB96B3CAA}, {ImageFormat::BMP, 0xB96B3CAB},
               {ImageFormat::EMF, 0xB96B3CAC},       {ImageFormat::WMF, 0xB96B3CAD},
               {ImageFormat::JPEG, 0xB96B3CAE},      {ImageFormat::PNG, 0xB96B3CAF},
               {ImageFormat::GIF, 0xB96B3CB0},       {ImageFormat::TIFF, 0xB96B3CB1},
               {ImageFormat::EXIF, 0xB96B3CB2},      {ImageFormat::Icon, 0xB96B3CB5}};
  for (const auto& t : table) {
    EXPECT_EQ(RawFormatGuid(t.format).Data1, t.data1);
    EXPECT_EQ(FormatFromGuid(RawFormatGuid(t.format)), t.format);
  }
  EXPECT_EQ(FormatFromGuid(Guid{}), ImageFormat::Unknown);
}

// A little-endian TIFF whose first entries are a LONG subfile type and SHORT sizes.
Bytes HandTiff(bool bigEndian, uint16_t width, uint16_t height) {
  Bytes b;
  auto p16 = [&](uint32_t v) {
    if (bigEndian)
      b.insert(b.end(), {uint8_t(v >> 8), uint8_t(v)});
    else
      b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)});
  };
  auto p32 = [&](uint32_t v) {
    if (bigEndian)
      b.insert(b.end(), {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
    else
      b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
  };
  if (bigEndian)
    b.insert(b.end(), {'M', 'M', 0, 0x2A});
  else
    b.insert(b.end(), {'I', 'I', 0x2A, 0});
  p32(8);
  p16(3);
  p16(254), p16(4), p32(1), p32(0);
  p16(256), p16(3), p32(1), p16(width), p16(0);
  p16(257), p16(3), p32(1), p16(height), p16(0);
  p32(0);
  return b;
}

Bytes ExifApp1Jpeg(int w, int h) {
  // An APP1 block before the frame header.
  JpegSpec s;
  s.Width = w;
  s.Height = h;
  s.App1 = {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 0x2A, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  return WriteJpeg(s, RgbSamples(Pattern(w, h)));
}

Bytes Dib24(int w, int h, int headerSize = 40) {
  DibSpec s;
  s.HeaderSize = headerSize;
  s.Width = w;
  s.Height = h;
  s.Bits.assign(size_t((w * 3 + 3) & ~3) * std::abs(h), 0x80);
  return WriteBmp(s);
}

Bytes IcoWithSizes() {
  auto entry = [](int size) {
    IcoEntrySpec e;
    e.DirWidth = size;
    e.DirHeight = size;
    e.DirBitCount = 32;
    e.Data = WritePngArgb(size, size, Pattern(size, size));
    return e;
  };
  return WriteIco({entry(16), entry(48), entry(32)});
}

Bytes GifZeroScreen() {
  GifSpec s;
  s.Width = 0;
  s.Height = 0;
  s.Colors = {{0, 0, 0}, {255, 255, 255}};
  GifFrameSpec f;
  f.Left = 3, f.Top = 4, f.Width = 5, f.Height = 6;
  f.Indices.assign(30, 1);
  s.Frames = {f};
  return WriteGif(s);
}

TEST(CodecProbe, ReadsSizeAndKindFromHeaders) {
  PngSpec palette;
  palette.Width = 300, palette.Height = 200, palette.ColorType = PNG_COLOR_TYPE_PALETTE, palette.BitDepth = 4;
  palette.Palette.assign(16, png_color{1, 2, 3});
  JpegSpec grey;
  grey.Width = 21, grey.Height = 9, grey.Components = 1, grey.InSpace = JCS_GRAYSCALE,
  grey.FileSpace = JCS_GRAYSCALE;
  TiffPageSpec page;
  page.Width = 64, page.Height = 48, page.Samples8.assign(64 * 48 * 3, 7);
  GifSpec gif;
  gif.Width = 20, gif.Height = 10, gif.Colors = {{0, 0, 0}, {9, 9, 9}};
  gif.Frames = {GifFrameSpec{0, 0, 20, 10, Bytes(200, 1)}};

  struct Case {
    const char* name;
    Bytes data;
    ImageFormat format;
    int w, h;
    PixelKind kind;
  } cases[] = {
      {"png 1x1", WritePngArgb(1, 1, {0xFF000000}), ImageFormat::PNG, 1, 1, PixelKind::Argb32},
      {"png palette", WritePng(palette, std::vector<Bytes>(200, Bytes(150))), ImageFormat::PNG, 300, 200,
       PixelKind::Indexed4},
      {"jpeg baseline", WriteJpegRgb(33, 17, Pattern(33, 17)), ImageFormat::JPEG, 33, 17, PixelKind::Rgb24},
      {"jpeg progressive", WriteJpegRgb(40, 30, Pattern(40, 30), true), ImageFormat::JPEG, 40, 30,
       PixelKind::Rgb24},
      {"jpeg exif first", ExifApp1Jpeg(50, 20), ImageFormat::JPEG, 50, 20, PixelKind::Rgb24},
      {"jpeg grey", WriteJpeg(grey, Bytes(21 * 9, 100)), ImageFormat::JPEG, 21, 9, PixelKind::Grey8},
      {"gif", WriteGif(gif), ImageFormat::GIF, 20, 10, PixelKind::Indexed8},
      {"gif zero screen", GifZeroScreen(), ImageFormat::GIF, 8, 10, PixelKind::Indexed8},
      {"tiff libtiff", WriteTiff({page}), ImageFormat::TIFF, 64, 48, PixelKind::Rgb24},
      {"tiff short sizes", HandTiff(false, 640, 480), ImageFormat::TIFF, 640, 480, PixelKind::Indexed1},
      {"tiff big endian", HandTiff(true, 640, 480), ImageFormat::TIFF, 640, 480, PixelKind::Indexed1},
      {"bmp top-down", Dib24(7, -100), ImageFormat::BMP, 7, 100, PixelKind::Rgb24},
      {"bmp core header", Dib24(5, 3, 12), ImageFormat::BMP, 5, 3, PixelKind::Rgb24},
      {"icon largest entry", IcoWithSizes(), ImageFormat::Icon, 48, 48, PixelKind::Argb32},
  };
  for (const auto& c : cases) {
    ImageInfo info;
    ASSERT_EQ(ProbeHeader(c.data, info), Status::Ok) << c.name;
    EXPECT_EQ(info.Format, c.format) << c.name;
    EXPECT_EQ(info.Width, c.w) << c.name;
    EXPECT_EQ(info.Height, c.h) << c.name;
    EXPECT_EQ(info.SourceKind, c.kind) << c.name;
  }
}

// The probe needs only the header: cut after it, the probe still answers while decoding fails.
TEST(CodecProbe, NeedsOnlyTheHeader) {
  const Bytes jpeg = WriteJpegRgb(64, 48, Pattern(64, 48));
  size_t sof = 2;  // end of the frame header
  while (!(jpeg[sof] == 0xFF && jpeg[sof + 1] == 0xC0)) sof += 2 + ((jpeg[sof + 2] << 8) | jpeg[sof + 3]);
  const size_t sofEnd = sof + 2 + ((jpeg[sof + 2] << 8) | jpeg[sof + 3]);
  const Bytes png = WritePngArgb(64, 48, Pattern(64, 48));
  const Bytes bmp = Dib24(64, 48);

  struct Case {
    const char* name;
    Bytes header;
    int w, h;
  } cases[] = {
      {"png", Bytes(png.begin(), png.begin() + 33), 64, 48},
      {"jpeg", Bytes(jpeg.begin(), jpeg.begin() + std::ptrdiff_t(sofEnd)), 64, 48},
      {"bmp", Bytes(bmp.begin(), bmp.begin() + 54), 64, 48},
      {"tiff without strips", HandTiff(false, 640, 480), 640, 480},
  };
  for (const auto& c : cases) {
    ImageInfo info;
    EXPECT_EQ(ProbeHeader(c.header, info), Status::Ok) << c.name;
    EXPECT_EQ(info.Width, c.w) << c.name;
    EXPECT_EQ(info.Height, c.h) << c.name;
    Image image;
    EXPECT_NE(Decode(c.header, image), Status::Ok) << c.name;
    EXPECT_TRUE(image.Frames.empty()) << c.name;
  }
}

TEST(CodecProbe, RefusesWhatItCannotRead) {
  const Bytes png = WritePngArgb(4, 4, Pattern(4, 4));
  Bytes pngNoIhdr = png;
  pngNoIhdr[12] = 'X';
  Bytes bmpBadHeader = Dib24(4, 4);
  bmpBadHeader[14] = 13;  // header size 13
  Bytes jpegNoFrame = {0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 0, 0, 0xFF, 0xD9};
  Bytes tiffBadOffset = HandTiff(false, 10, 10);
  tiffBadOffset[4] = 0xF0;
  struct Case {
    const char* name;
    Bytes data;
    Status status;
    ImageFormat format;
  } cases[] = {
      {"foreign", {'a', 'b', 'c', 'd'}, Status::UnknownImageFormat, ImageFormat::Unknown},
      {"png cut in IHDR", Bytes(png.begin(), png.begin() + 20), Status::InvalidParameter, ImageFormat::PNG},
      {"png without IHDR", pngNoIhdr, Status::InvalidParameter, ImageFormat::PNG},
      {"jpeg without frame", jpegNoFrame, Status::InvalidParameter, ImageFormat::JPEG},
      {"gif cut", {'G', 'I', 'F', '8', '9', 'a', 1, 0}, Status::InvalidParameter, ImageFormat::GIF},
      {"bmp bad header size", bmpBadHeader, Status::InvalidParameter, ImageFormat::BMP},
      {"bmp zero width", Dib24(0, 4), Status::InvalidParameter, ImageFormat::BMP},
      {"tiff directory outside", tiffBadOffset, Status::InvalidParameter, ImageFormat::TIFF},
      {"tiff zero width", HandTiff(false, 0, 10), Status::InvalidParameter, ImageFormat::TIFF},
      {"emf", Emf(), Status::NotImplemented, ImageFormat::EMF},
      {"wmf", {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0}, Status::NotImplemented, ImageFormat::WMF},
  };
  for (const auto& c : cases) {
    ImageInfo info;
    info.Width = 99;
    Image image;
    EXPECT_NE(Decode(c.data, image), Status::Ok) << c.name;
    EXPECT_EQ(ProbeHeader(c.data, info), c.status) << c.name;
    EXPECT_EQ(info.Format, c.format) << c.name;
    EXPECT_EQ(info.Width, 0) << c.name;
  }
  // Metafiles are recognised but not decoded.
  Image image;
  EXPECT_EQ(Decode(Emf(), image), Status::NotImplemented);
  EXPECT_EQ(Decode(Bytes{0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0}, image), Status::NotImplemented);
}

}  // namespace
}  // namespace qd::codecs
