// The clipboard's conversions between the program's formats and the desktop's.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/display/clipboard_formats.h"

namespace qd::display {
namespace {

// A packed 32-bit DIB of `w` x `h` (bottom-up when `h` > 0) with the given BGRA rows.
std::vector<uint8_t> MakeDib(int w, int h, const std::vector<uint8_t>& pixels) {
  std::vector<uint8_t> dib(40, 0);
  dib[0] = 40;
  std::memcpy(dib.data() + 4, &w, 4);
  std::memcpy(dib.data() + 8, &h, 4);
  dib[12] = 1;
  dib[14] = 32;
  const auto size = static_cast<uint32_t>(pixels.size());
  std::memcpy(dib.data() + 20, &size, 4);
  dib.insert(dib.end(), pixels.begin(), pixels.end());
  return dib;
}

TEST(ClipboardFormats, TextLineEndsAndEncodings) {
  struct Case {
    String program;
    std::string desktop;
  } cases[] = {
      {u"a\r\nb", "a\nb"},
      {u"", ""},
      {u"Olá ✓\r\n", "Olá ✓\n"},
      {u"só\rcr", "só\rcr"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextToDesktop(c.program), c.desktop);
    EXPECT_EQ(TextFromDesktop(c.desktop), c.program);
  }
  // Lines already ending in CR LF stay as they are; a NUL ends the text.
  EXPECT_EQ(TextFromDesktop("a\r\nb\nc"), u"a\r\nb\r\nc");
  EXPECT_EQ(TextFromDesktop(std::string("ab\0cd", 5)), u"ab");
  EXPECT_EQ(TextFromDesktop("\xE7\xE3\n", true), u"çã\r\n");
}

TEST(ClipboardFormats, PicturesRoundTripThroughPngAndBmp) {
  // 2 x 2, bottom-up: the bottom row first. GDI's alpha 0 goes out opaque.
  const std::vector<uint8_t> pixels = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0};
  const std::string png = DibToPng(MakeDib(2, 2, pixels));
  ASSERT_FALSE(png.empty());
  std::vector<uint8_t> back = PngToDib(reinterpret_cast<const uint8_t*>(png.data()), png.size());
  std::vector<uint8_t> opaque = pixels;
  for (size_t i = 3; i < opaque.size(); i += 4) opaque[i] = 255;
  EXPECT_EQ(back, MakeDib(2, 2, opaque));
  // A top-down DIB with real alpha keeps it, and comes back bottom-up.
  const std::vector<uint8_t> topDown = {1, 2, 3, 128, 4, 5, 6, 255};
  const std::string png2 = DibToPng(MakeDib(1, -2, topDown));
  back = PngToDib(reinterpret_cast<const uint8_t*>(png2.data()), png2.size());
  EXPECT_EQ(back, MakeDib(1, 2, {4, 5, 6, 255, 1, 2, 3, 128}));

  const std::vector<uint8_t> dib = MakeDib(2, 2, pixels);
  const std::string bmp = DibToBmpFile(dib);
  ASSERT_EQ(bmp.size(), 14 + dib.size());
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(static_cast<uint8_t>(bmp[10]), 54);
  EXPECT_EQ(BmpFileToDib(reinterpret_cast<const uint8_t*>(bmp.data()), bmp.size()), dib);
  // A file whose pixels start later than right after the header.
  std::string gap = bmp;
  gap.insert(54, "\xAA\xBB\xCC\xDD", 4);
  gap[10] = 58;
  EXPECT_EQ(BmpFileToDib(reinterpret_cast<const uint8_t*>(gap.data()), gap.size()), dib);
}

TEST(ClipboardFormats, DamagedDataGivesNothing) {
  const std::vector<uint8_t> pixels(16, 0);
  const std::string png = DibToPng(MakeDib(2, 2, pixels));
  for (size_t cut : {size_t{0}, size_t{7}, size_t{20}, png.size() - 13})
    EXPECT_TRUE(PngToDib(reinterpret_cast<const uint8_t*>(png.data()), cut).empty()) << cut;
  // Headers that promise more pixels than there are, or a format PNG cannot take here.
  EXPECT_TRUE(DibToPng(MakeDib(3, 2, pixels)).empty());
  EXPECT_TRUE(DibToPng(MakeDib(0, 2, pixels)).empty());
  EXPECT_TRUE(DibToPng(MakeDib(1000000, 1000000, pixels)).empty());
  std::vector<uint8_t> eightBit = MakeDib(2, 2, pixels);
  eightBit[14] = 8;
  EXPECT_TRUE(DibToPng(eightBit).empty());
  EXPECT_TRUE(DibToPng({1, 2, 3}).empty());
  const uint8_t shortBmp[] = {'B', 'M', 0, 0};
  EXPECT_TRUE(BmpFileToDib(shortBmp, sizeof shortBmp).empty());
}

}  // namespace
}  // namespace qd::display
