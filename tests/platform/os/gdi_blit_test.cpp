// Fills, raster operations, colour conversion and the alpha byte.
#include <gtest/gtest.h>

#include "platform/os/gdi.h"
#include "gdi_test_util.h"

namespace qd {
namespace {

using testing::kSentinel;
using testing::Rows;
using testing::TestDib;

HBRUSH Stock(int i) {
  return static_cast<HBRUSH>(GetStockObject(i));
}

TEST(GdiFill, FillRectExcludesRightAndBottomEdges) {
  struct Case {
    RECT r;
    std::string mask;
  } cases[] = {
      {{1, 1, 4, 3}, Rows({"......", ".###..", ".###..", "......"})},
      {{0, 0, 1, 1}, Rows({"#.....", "......", "......", "......"})},
      {{4, 2, 9, 9}, Rows({"......", "......", "....##", "....##"})},
      {{3, 1, 3, 3}, Rows({"......", "......", "......", "......"})},  // empty
      {{4, 3, 2, 1}, Rows({"......", "......", "......", "......"})},  // inverted draws nothing
  };
  for (const auto& c : cases) {
    TestDib t(6, 4);
    EXPECT_EQ(FillRect(t.dc, &c.r, Stock(BLACK_BRUSH)), 1);
    EXPECT_EQ(t.Mask(), c.mask) << c.r.Left << "," << c.r.Top << "," << c.r.Right << "," << c.r.Bottom;
  }
}

TEST(GdiFill, FrameRectAndInvertRect) {
  TestDib t(6, 5, 0x00FFFFFF);
  RECT r{1, 1, 5, 5};
  FrameRect(t.dc, &r, Stock(BLACK_BRUSH));
  EXPECT_EQ(t.MaskOf(RGB(0, 0, 0)), Rows({"......", ".####.", ".#..#.", ".#..#.", ".####."}));
  RECT inv{0, 0, 2, 2};
  InvertRect(t.dc, &inv);
  EXPECT_EQ(t.Rgb(0, 0), 0u);
  EXPECT_EQ(t.Rgb(1, 1), 0xFFFFFFu);
}

TEST(GdiFill, SystemColourIndexPlusOneWorksAsBrush) {
  TestDib t(2, 1);
  RECT r{0, 0, 2, 1};
  FillRect(t.dc, &r, reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNFACE + 1)));
  EXPECT_EQ(t.At(0, 0), 0x00F0F0F0u);
  FillRect(t.dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
  EXPECT_EQ(t.At(1, 0), 0x000078D7u);
  DeleteObject(GetSysColorBrush(COLOR_HIGHLIGHT));  // system colour brushes cannot be deleted
  EXPECT_EQ(GetObjectType(GetSysColorBrush(COLOR_HIGHLIGHT)), OBJ_BRUSH);
}

TEST(GdiRop, TernaryRopsCombineAllBitsOfThePixel) {
  const uint32_t S = 0x80C0A050, D = 0x4033CC0F;
  const COLORREF brush = RGB(0x12, 0x34, 0x56);
  const uint32_t P = 0x00123456;  // brush pixel: alpha 0
  struct Case {
    DWORD rop;
    uint32_t want;
  } cases[] = {
      {SRCCOPY, S},
      {SRCPAINT, S | D},
      {SRCAND, S & D},
      {SRCINVERT, S ^ D},
      {SRCERASE, S & ~D},
      {NOTSRCCOPY, ~S},
      {NOTSRCERASE, ~(S | D)},
      {MERGECOPY, P & S},
      {MERGEPAINT, ~S | D},
      {PATCOPY, P},
      {PATINVERT, P ^ D},
      {DSTINVERT, ~D},
      {PATPAINT, P | ~S | D},
      {0x00220326, D & ~S},
      {0x00E20746, ((P ^ D) & S) ^ D},
      {0x00200F09, P & ~S & D},
      {BLACKNESS, 0x00000000},
      {WHITENESS, 0xFFFFFFFF},  // all ones, alpha included
  };
  TestDib src(1, 1, S);
  for (const auto& c : cases) {
    TestDib dst(1, 1, D);
    HBRUSH b = CreateSolidBrush(brush);
    HGDIOBJ old = SelectObject(dst.dc, b);
    EXPECT_TRUE(BitBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, c.rop));
    EXPECT_EQ(dst.At(0, 0), c.want) << std::hex << c.rop;
    SelectObject(dst.dc, old);
    DeleteObject(b);
  }
}

TEST(GdiRop, PatBltRejectsSourceRops) {
  TestDib t(2, 2);
  EXPECT_FALSE(PatBlt(t.dc, 0, 0, 2, 2, SRCCOPY));
  EXPECT_TRUE(PatBlt(t.dc, 0, 0, 2, 2, BLACKNESS));
  EXPECT_EQ(t.At(1, 1), 0u);
  EXPECT_TRUE(PatBlt(t.dc, 1, 1, -1, -1, WHITENESS));  // negative sizes are normalised
  EXPECT_EQ(t.At(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(t.At(1, 1), 0u);
}

TEST(GdiAlpha, AlphaByteAfterEachKindOfDrawing) {
  TestDib src(2, 1, 0x80102030);
  struct Case {
    const char* what;
    std::function<void(TestDib&)> draw;
    uint32_t want;
  } cases[] = {
      {"FillRect",
       [](TestDib& t) {
         RECT r{0, 0, 1, 1};
         FillRect(t.dc, &r, Stock(GRAY_BRUSH));
       },
       0x00808080},
      {"PatBlt", [](TestDib& t) { PatBlt(t.dc, 0, 0, 1, 1, PATCOPY); }, 0x00FFFFFF},
      {"SetPixel", [](TestDib& t) { SetPixel(t.dc, 0, 0, RGB(1, 2, 3)); }, 0x00010203},
      {"SRCCOPY 32 to 32 keeps alpha", [&](TestDib& t) { BitBlt(t.dc, 0, 0, 1, 1, src.dc, 0, 0, SRCCOPY); },
       0x80102030},
      {"SRCINVERT combines alpha bitwise",
       [&](TestDib& t) { BitBlt(t.dc, 0, 0, 1, 1, src.dc, 0, 0, SRCINVERT); }, 0x80102030 ^ kSentinel},
  };
  for (const auto& c : cases) {
    TestDib t(1, 1);
    c.draw(t);
    EXPECT_EQ(t.At(0, 0), c.want) << c.what;
  }
}

TEST(GdiAlpha, ConversionsFromOtherFormatsGiveAlphaZero) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP ddb = CreateBitmap(1, 1, 1, 32, nullptr);
  uint32_t px = 0xFF405060;
  SetBitmapBits(ddb, 4, &px);
  HGDIOBJ old = SelectObject(dc, ddb);
  TestDib t(1, 1);
  BitBlt(t.dc, 0, 0, 1, 1, dc, 0, 0, SRCCOPY);
  EXPECT_EQ(t.At(0, 0), 0x00405060u);  // a device-dependent source has no alpha
  BITMAPINFO q = testing::Info32(1, 1, false);
  uint32_t read = 0xFFFFFFFF;
  EXPECT_EQ(GetDIBits(dc, ddb, 0, 1, &read, &q, DIB_RGB_COLORS), 1);
  EXPECT_EQ(read, 0x00405060u);
  SelectObject(dc, old);
  DeleteObject(ddb);
  // 24-bit DIB source.
  BITMAPINFO bi = testing::Info32(1, 1);
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP dib24 = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* b = static_cast<uint8_t*>(bits);
  b[0] = 0x11;
  b[1] = 0x22;
  b[2] = 0x33;
  old = SelectObject(dc, dib24);
  BitBlt(t.dc, 0, 0, 1, 1, dc, 0, 0, SRCCOPY);
  EXPECT_EQ(t.At(0, 0), 0x00332211u);
  SelectObject(dc, old);
  DeleteObject(dib24);
  DeleteDC(dc);
}

TEST(GdiBlit, MonochromeAndColourConversionUseTextAndBackgroundColours) {
  HDC mdc = CreateCompatibleDC(nullptr);
  const uint8_t rows[2] = {0x80, 0x40};  // pixel (0,0) and (1,1) are 1
  HBITMAP mono = CreateBitmap(2, 2, 1, 1, nullptr);
  uint8_t bits[4] = {rows[0], 0, rows[1], 0};
  SetBitmapBits(mono, 4, bits);
  HGDIOBJ old = SelectObject(mdc, mono);
  TestDib t(2, 2);
  SetTextColor(t.dc, RGB(255, 0, 0));
  SetBkColor(t.dc, RGB(0, 0, 255));
  BitBlt(t.dc, 0, 0, 2, 2, mdc, 0, 0, SRCCOPY);
  EXPECT_EQ(t.At(0, 0), 0x000000FFu);  // 1 -> background colour
  EXPECT_EQ(t.At(1, 0), 0x00FF0000u);  // 0 -> text colour
  EXPECT_EQ(t.At(1, 1), 0x000000FFu);
  // Colour to monochrome: the source's background colour becomes 1, anything else 0.
  t.bits[0] = 0x00112233;
  t.bits[1] = 0x00445566;
  SetBkColor(t.dc, RGB(0x11, 0x22, 0x33));
  BitBlt(mdc, 0, 0, 2, 2, t.dc, 0, 0, SRCCOPY);
  uint8_t back[4] = {};
  GetBitmapBits(mono, 4, back);
  EXPECT_EQ(back[0] & 0xC0, 0x80);
  SelectObject(mdc, old);
  DeleteObject(mono);
  DeleteDC(mdc);
}

TEST(GdiBlit, OverlappingCopyWithinOneBitmapScrolls) {
  TestDib t(4, 4);
  for (int i = 0; i < 16; ++i) t.bits[i] = static_cast<uint32_t>(i);
  BitBlt(t.dc, 0, 1, 4, 3, t.dc, 0, 0, SRCCOPY);  // scroll down by one row
  for (int y = 1; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(t.At(x, y), static_cast<uint32_t>((y - 1) * 4 + x));
  BitBlt(t.dc, 1, 0, 3, 4, t.dc, 0, 0, SRCCOPY);  // scroll right by one column
  EXPECT_EQ(t.At(3, 1), 2u);
  EXPECT_EQ(t.At(1, 3), 8u);
}

TEST(GdiBlit, SourceOutsideItsBitmapLeavesDestinationAlone) {
  TestDib src(2, 2, 0x00000000);
  TestDib t(4, 4);
  BitBlt(t.dc, 0, 0, 4, 4, src.dc, -1, -1, SRCCOPY);
  EXPECT_EQ(t.Mask(), Rows({"....", ".##.", ".##.", "...."}));
}

TEST(GdiBlit, StretchModes) {
  // 4x1 source: white black white white -> 2x1.
  TestDib src(4, 1, 0x00FFFFFF);
  src.bits[1] = 0;
  struct Case {
    int mode;
    uint32_t left;
  } cases[] = {{BLACKONWHITE, 0x00000000}, {WHITEONBLACK, 0x00FFFFFF}, {HALFTONE, 0x00808080}};
  for (const auto& c : cases) {
    TestDib t(2, 1);
    SetStretchBltMode(t.dc, c.mode);
    StretchBlt(t.dc, 0, 0, 2, 1, src.dc, 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(t.At(0, 0), c.left) << c.mode;
    EXPECT_EQ(t.At(1, 0), 0x00FFFFFFu) << c.mode;
  }
  // Enlarging and mirroring.
  TestDib t(4, 2);
  TestDib two(2, 1);
  two.bits[0] = 1;
  two.bits[1] = 2;
  StretchBlt(t.dc, 3, 0, -4, 2, two.dc, 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(t.At(0, 0), 2u);
  EXPECT_EQ(t.At(1, 1), 2u);
  EXPECT_EQ(t.At(2, 0), 1u);
  EXPECT_EQ(t.At(3, 1), 1u);
}

TEST(GdiBlit, PatternBrushAlignsToTheBrushOrigin) {
  HBITMAP pat = CreateBitmap(8, 8, 1, 1, nullptr);
  uint8_t bits[16] = {};
  bits[0] = 0x80;  // only pattern pixel (0,0) is 1
  SetBitmapBits(pat, 16, bits);
  HBRUSH brush = CreatePatternBrush(pat);
  DeleteObject(pat);  // the brush keeps its own copy
  TestDib t(10, 10);
  SetTextColor(t.dc, RGB(0, 0, 0));
  SetBkColor(t.dc, RGB(255, 255, 255));
  SetBrushOrgEx(t.dc, 3, 2, nullptr);
  RECT r{0, 0, 10, 10};
  FillRect(t.dc, &r, brush);
  std::string white = t.MaskOf(RGB(255, 255, 255));
  std::string want;
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) want += ((x - 3) % 8 == 0 && (y - 2) % 8 == 0) ? '#' : '.';
    want += '\n';
  }
  EXPECT_EQ(white, want);
  DeleteObject(brush);
}

TEST(GdiBlit, HatchBrushTransparentModeKeepsBackground) {
  HBRUSH hatch = CreateHatchBrush(HS_HORIZONTAL, RGB(0, 0, 0));
  TestDib t(8, 8);
  SetBkMode(t.dc, TRANSPARENT);
  RECT r{0, 0, 8, 8};
  FillRect(t.dc, &r, hatch);
  EXPECT_EQ(t.Mask(), Rows({"........", "........", "........", "########", "........", "........",
                            "........", "........"}));
  SetBkMode(t.dc, OPAQUE);
  SetBkColor(t.dc, RGB(0, 255, 0));
  FillRect(t.dc, &r, hatch);
  EXPECT_EQ(t.At(0, 0), 0x0000FF00u);
  EXPECT_EQ(t.At(0, 3), 0u);
  DeleteObject(hatch);
}

TEST(GdiBitmap, DibBitsRoundTripBottomUpAndTopDown) {
  TestDib t(3, 2);
  for (int i = 0; i < 6; ++i) t.bits[i] = 0x01000000u * i + static_cast<uint32_t>(i);
  BITMAPINFO bi = testing::Info32(3, 2, false);
  uint32_t out[6] = {};
  EXPECT_EQ(GetDIBits(t.dc, t.bm, 0, 2, out, &bi, DIB_RGB_COLORS), 2);
  // Bottom-up: the first row out is the image's bottom row.
  EXPECT_EQ(out[0], t.At(0, 1));
  EXPECT_EQ(out[5], t.At(2, 0));
  TestDib u(3, 2);
  EXPECT_EQ(SetDIBits(u.dc, u.bm, 0, 2, out, &bi, DIB_RGB_COLORS), 2);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(u.bits[i], t.bits[i]);
  // A header query fills in the format.
  BITMAPINFO q{};
  q.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  EXPECT_NE(GetDIBits(t.dc, t.bm, 0, 0, nullptr, &q, DIB_RGB_COLORS), 0);
  EXPECT_EQ(q.bmiHeader.biBitCount, 32);
  EXPECT_EQ(q.bmiHeader.biWidth, 3);
}

TEST(GdiBitmap, StretchDibitsAndSetDibitsToDeviceMeasureBottomUpFromBelow) {
  uint32_t px[4] = {1, 2, 3, 4};  // bottom-up 2x2: stored rows (1,2) bottom, (3,4) top
  BITMAPINFO bi = testing::Info32(2, 2, false);
  TestDib t(2, 2);
  EXPECT_EQ(StretchDIBits(t.dc, 0, 0, 2, 2, 0, 0, 2, 2, px, &bi, DIB_RGB_COLORS, SRCCOPY), 2);
  EXPECT_EQ(t.At(0, 0), 3u);
  EXPECT_EQ(t.At(1, 1), 2u);
  TestDib u(1, 1);
  // ySrc = 1 from the bottom: the top row.
  EXPECT_EQ(SetDIBitsToDevice(u.dc, 0, 0, 1, 1, 1, 1, 0, 2, px, &bi, DIB_RGB_COLORS), 2);
  EXPECT_EQ(u.At(0, 0), 4u);
}

TEST(GdiBitmap, PixelsOutsideTheBitmapAreInvalid) {
  TestDib t(2, 2, 0x00010203);
  EXPECT_EQ(GetPixel(t.dc, 1, 1), RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(t.dc, 2, 0), CLR_INVALID);
  EXPECT_EQ(GetPixel(t.dc, -1, 0), CLR_INVALID);
  EXPECT_EQ(SetPixel(t.dc, 5, 5, 0), CLR_INVALID);
}

}  // namespace
}  // namespace qd

namespace qd {
namespace {

TEST(GdiFill, BottomUpDibsFillTheRightRows) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO bi = testing::Info32(40, 4, false);
  void* p = nullptr;
  HBITMAP bm = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bm);
  RECT r{0, 0, 40, 1};  // the top row, stored last
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  auto* px = static_cast<uint32_t*>(p);
  EXPECT_EQ(px[3 * 40 + 20], 0x00FFFFFFu);
  EXPECT_EQ(px[0], 0u);
  SelectObject(dc, old);
  DeleteObject(bm);
  DeleteDC(dc);
}

}  // namespace
}  // namespace qd
