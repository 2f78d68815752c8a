#include <gtest/gtest.h>

#include "codec_test_util.h"
#include "platform/gdiplus/codec_io.h"

namespace qd::codecs {
namespace {

using namespace test;

// An icon bitmap entry: XOR rows then the AND mask, both bottom-up, height doubled.
Bytes IconDib(int size, int bpp, const std::function<uint32_t(int, int)>& value,
              const std::function<bool(int, int)>& masked, std::vector<uint32_t> palette = {}) {
  DibSpec s;
  s.Width = size, s.Height = size * 2, s.BitCount = bpp, s.Palette = std::move(palette);
  s.Bits = PackRows(size, size, bpp, false, value);
  const Bytes mask = PackRows(size, size, 1, false, [&](int x, int y) { return masked(x, y) ? 1u : 0u; });
  Bytes entry = DibHeaderBytes(s);
  entry.insert(entry.end(), s.Bits.begin(), s.Bits.end());
  entry.insert(entry.end(), mask.begin(), mask.end());
  return entry;
}

std::vector<uint32_t> Greys(int n) {
  std::vector<uint32_t> p;
  for (int i = 0; i < n; ++i) p.push_back(uint32_t(i * 255 / (n - 1)) * 0x010101);
  return p;
}

// 16x16 32-bit with alpha, 32x32 8-bit and 4-bit with masks, 48x48 PNG.
struct IconSet {
  Bytes File;
  std::function<uint32_t(int, int)> Expected16, Expected32x8, Expected32x4, Expected48;
};

IconSet MakeIconSet() {
  IconSet set;
  auto alpha16 = [](int x, int y) { return uint32_t(x * 16) << 24 | uint32_t(y * 0x0F0F0F); };
  auto masked = [](int x, int y) { return x < 4 && y < 4; };
  auto index8 = [](int x, int y) { return uint32_t(x * 8 + y) & 0xFF; };
  auto index4 = [](int x, int y) { return uint32_t(x + y) & 0x0F; };
  const std::vector<uint32_t> pngPixels = Pattern(48, 48, 5);
  const std::vector<uint32_t> grey256 = Greys(256), grey16 = Greys(16);
  set.File = WriteIco({
      {16, 16, 32, IconDib(16, 32, alpha16, [](int, int) { return true; })},
      {32, 32, 8, IconDib(32, 8, index8, masked, grey256)},
      {48, 48, 32, WritePngArgb(48, 48, pngPixels)},
      {32, 32, 4, IconDib(32, 4, index4, masked, grey16)},
  });
  // Alpha wins over the AND mask when the entry has any.
  set.Expected16 = alpha16;
  set.Expected32x8 = [=](int x, int y) { return masked(x, y) ? 0u : 0xFF000000u | grey256[index8(x, y)]; };
  set.Expected32x4 = [=](int x, int y) { return masked(x, y) ? 0u : 0xFF000000u | grey16[index4(x, y)]; };
  set.Expected48 = [=](int x, int y) { return pngPixels[size_t(y) * 48 + size_t(x)]; };
  return set;
}

TEST(CodecIco, ChoosesTheEntryBySizeAndDepth) {
  const IconSet set = MakeIconSet();
  struct Case {
    const char* name;
    int w, h, bits;
    int size;
    std::function<uint32_t(int, int)> expected;
  } cases[] = {
      {"largest by default", 0, 0, 0, 48, set.Expected48},
      {"exact size, deepest", 32, 32, 0, 32, set.Expected32x8},
      {"exact size and depth", 32, 32, 4, 32, set.Expected32x4},
      {"closest size", 20, 20, 0, 16, set.Expected16},
      {"closest size above", 44, 44, 0, 48, set.Expected48},
  };
  for (const auto& c : cases) {
    DecodeOptions options;
    options.IconWidth = c.w, options.IconHeight = c.h, options.IconBitCount = c.bits;
    Image image;
    ASSERT_EQ(Decode(set.File, image, options), Status::Ok) << c.name;
    EXPECT_EQ(image.Format, ImageFormat::Icon) << c.name;
    EXPECT_EQ(image.SourceKind, PixelKind::Argb32) << c.name;
    ASSERT_EQ(image.Width(), c.size) << c.name;
    ASSERT_EQ(image.Height(), c.size) << c.name;
    for (int y = 0; y < c.size; ++y)
      for (int x = 0; x < c.size; ++x)
        ASSERT_EQ(image.Frames[0].At(x, y), c.expected(x, y)) << c.name << " pixel " << x << "," << y;
  }
}

TEST(CodecIco, MaskAppliesWhenAlphaIsEmpty) {
  auto colour = [](int x, int y) { return uint32_t(x * 0x100 + y); };  // alpha byte zero everywhere
  auto masked = [](int x, int) { return x % 2 == 0; };
  for (int type : {1, 2}) {  // icon and cursor
    Image image;
    ASSERT_EQ(Decode(WriteIco({{8, 8, 32, IconDib(8, 32, colour, masked)}}, type), image), Status::Ok);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        ASSERT_EQ(image.Frames[0].At(x, y), masked(x, y) ? 0u : 0xFF000000u | colour(x, y));
  }
}

TEST(CodecIco, SkipsEntriesOutsideTheFile) {
  Bytes file = WriteIco({{16, 16, 32, WritePngArgb(16, 16, Pattern(16, 16))},
                         {64, 64, 32, WritePngArgb(16, 16, Pattern(16, 16))}});
  // Point the second (larger) entry past the end: the first one is used.
  file[6 + 16 + 12] = 0xFF, file[6 + 16 + 13] = 0xFF, file[6 + 16 + 14] = 0;
  Image image;
  ASSERT_EQ(Decode(file, image), Status::Ok);
  EXPECT_EQ(image.Width(), 16);
  // With no usable entry at all the icon is refused.
  file[6 + 12] = 0xFF, file[6 + 13] = 0xFF, file[6 + 14] = 0;
  EXPECT_EQ(Decode(file, image), Status::InvalidParameter);
}

// A compressed bitmap entry: its rows run over the doubled height of the header, but only
// the icon's own rows may be written.
TEST(CodecIco, RunLengthEntryStaysInsideItsRows) {
  DibSpec s;
  s.Width = 4, s.Height = 8, s.BitCount = 8, s.Compression = 1, s.Palette = {0x0000FF, 0x00FF00},
  s.ClrUsed = 2;
  for (int row = 0; row < 8; ++row) s.Bits.insert(s.Bits.end(), {4, 1, 0, 0});
  s.Bits.insert(s.Bits.end(), {0, 1});
  Bytes entry = DibHeaderBytes(s);
  entry.insert(entry.end(), s.Bits.begin(), s.Bits.end());
  Image image;
  ASSERT_EQ(Decode(WriteIco({{4, 4, 8, entry}}), image), Status::Ok);
  EXPECT_EQ(image.Width(), 4);
  EXPECT_EQ(image.Height(), 4);
  EXPECT_EQ(image.Frames[0].Pixels, std::vector<uint32_t>(16, 0xFF00FF00));
}

}  // namespace
}  // namespace qd::codecs
