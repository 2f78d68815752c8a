// DC brush and pen, palettised DIBs, masks, justification, palettes and system colours.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/os/gdi.h"
#include "platform/os/gdi_surface.h"
#include "gdi_test_util.h"

namespace qd {
namespace {

using testing::kSentinel;
using testing::Rows;
using testing::TestDib;

TEST(GdiMisc, DcBrushAndDcPenTakeTheDcColours) {
  TestDib t(3, 2);
  SelectObject(t.dc, GetStockObject(DC_BRUSH));
  SelectObject(t.dc, GetStockObject(DC_PEN));
  EXPECT_EQ(SetDCBrushColor(t.dc, RGB(1, 2, 3)), RGB(255, 255, 255));
  SetDCPenColor(t.dc, RGB(4, 5, 6));
  PatBlt(t.dc, 0, 0, 3, 1, PATCOPY);
  EXPECT_EQ(t.At(1, 0), 0x00010203u);
  MoveToEx(t.dc, 0, 1, nullptr);
  LineTo(t.dc, 3, 1);
  EXPECT_EQ(t.At(2, 1), 0x00040506u);
  SetDCBrushColor(t.dc, RGB(9, 9, 9));  // the brush follows the DC's colour at drawing time
  PatBlt(t.dc, 0, 0, 1, 1, PATCOPY);
  EXPECT_EQ(t.At(0, 0), 0x00090909u);
  // Selecting a region is SelectClipRgn and returns its type.
  HRGN r = CreateRectRgn(0, 0, 1, 1);
  EXPECT_EQ(reinterpret_cast<intptr_t>(SelectObject(t.dc, r)), SIMPLEREGION);
  DeleteObject(r);
}

TEST(GdiMisc, DrawingIntoPalettisedAndMonochromeDibs) {
  HDC dc = CreateCompatibleDC(nullptr);
  struct Info8 {
    BITMAPINFOHEADER h;
    RGBQUAD colors[256];
  } bi{};
  bi.h.biSize = sizeof(BITMAPINFOHEADER);
  bi.h.biWidth = 4;
  bi.h.biHeight = -2;
  bi.h.biPlanes = 1;
  bi.h.biBitCount = 8;
  bi.h.biClrUsed = 3;
  bi.colors[0] = {0, 0, 0, 0};
  bi.colors[1] = {0, 0, 255, 0};  // red
  bi.colors[2] = {255, 255, 255, 0};
  void* bits = nullptr;
  HBITMAP bm = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bm, nullptr);
  HGDIOBJ old = SelectObject(dc, bm);
  HBRUSH red = CreateSolidBrush(RGB(250, 10, 0));  // nearest palette entry: red
  RECT r{1, 0, 3, 2};
  FillRect(dc, &r, red);
  auto* p = static_cast<uint8_t*>(bits);
  EXPECT_EQ(p[0], 0);
  EXPECT_EQ(p[1], 1);
  EXPECT_EQ(p[2], 1);
  EXPECT_EQ(p[4 + 2], 1);
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 0, 0));
  PatBlt(dc, 0, 0, 4, 2, DSTINVERT);  // inverts palette indices
  EXPECT_EQ(p[0], 0xFF);
  EXPECT_EQ(p[1], 0xFE);
  SelectObject(dc, old);
  DeleteObject(bm);
  DeleteObject(red);
  // A monochrome DIB: colours snap to black or white.
  struct Info1 {
    BITMAPINFOHEADER h;
    RGBQUAD colors[2];
  } mi{};
  mi.h = bi.h;
  mi.h.biWidth = 8;
  mi.h.biBitCount = 1;
  mi.h.biClrUsed = 0;
  mi.colors[1] = {255, 255, 255, 0};
  bm = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&mi), DIB_RGB_COLORS, &bits, nullptr, 0);
  old = SelectObject(dc, bm);
  RECT half{0, 0, 4, 1};
  FillRect(dc, &half, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(static_cast<uint8_t*>(bits)[0], 0xF0);
  SelectObject(dc, old);
  DeleteObject(bm);
  DeleteDC(dc);
}

TEST(GdiMisc, BitfieldsDibWithStandardMasks) {
  struct {
    BITMAPINFOHEADER h;
    DWORD masks[3];
  } bi{};
  bi.h.biSize = sizeof(BITMAPINFOHEADER);
  bi.h.biWidth = 2;
  bi.h.biHeight = -1;
  bi.h.biPlanes = 1;
  bi.h.biBitCount = 32;
  bi.h.biCompression = BI_BITFIELDS;
  bi.masks[0] = 0xFF0000;
  bi.masks[1] = 0xFF00;
  bi.masks[2] = 0xFF;
  void* bits = nullptr;
  HBITMAP bm =
      CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bm, nullptr);
  DIBSECTION ds{};
  GetObjectW(bm, sizeof ds, &ds);
  EXPECT_EQ(ds.dsBitfields[0], 0xFF0000u);
  DeleteObject(bm);
  bi.masks[0] = 0xFF;  // other layouts are not supported
  bi.masks[2] = 0xFF0000;
  EXPECT_EQ(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits, nullptr, 0),
            nullptr);
}

TEST(GdiMisc, MaskBltChoosesForegroundAndBackgroundRops) {
  TestDib src(4, 1, 0x00112233), dst(4, 1, 0x00FFFFFF);
  HBITMAP mask = CreateBitmap(4, 1, 1, 1, nullptr);
  uint8_t bits[2] = {0xA0, 0};  // 1 0 1 0
  SetBitmapBits(mask, 2, bits);
  // Foreground (mask 1): SRCCOPY; background (mask 0): keep the destination.
  ASSERT_TRUE(MaskBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, mask, 0, 0, MAKEROP4(SRCCOPY, 0x00AA0029)));
  EXPECT_EQ(dst.At(0, 0), 0x00112233u);
  EXPECT_EQ(dst.At(1, 0), 0x00FFFFFFu);
  EXPECT_EQ(dst.At(2, 0), 0x00112233u);
  EXPECT_EQ(dst.At(3, 0), 0x00FFFFFFu);
  DeleteObject(mask);
}

TEST(GdiMisc, TextJustificationSpreadsExtraOverBreaks) {
  TestDib t(10, 10);
  SIZE plain{}, just{};
  GetTextExtentPoint32W(t.dc, u"a b c", 5, &plain);
  SetTextJustification(t.dc, 7, 2);
  GetTextExtentPoint32W(t.dc, u"a b c", 5, &just);
  EXPECT_EQ(just.cx, plain.cx + 7);
  SetTextJustification(t.dc, 0, 0);
  GetTextExtentPoint32W(t.dc, u"a b c", 5, &just);
  EXPECT_EQ(just.cx, plain.cx);
}

TEST(GdiMisc, SystemColoursAndTheirBrushes) {
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(240, 240, 240));
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(0, 120, 215));
  EXPECT_EQ(GetSysColor(COLOR_HOTLIGHT), RGB(0, 102, 204));
  EXPECT_EQ(GetSysColor(COLOR_GRAYTEXT), RGB(109, 109, 109));
  EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), RGB(105, 105, 105));
  EXPECT_EQ(GetSysColor(COLOR_3DLIGHT), RGB(227, 227, 227));
  EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(255, 255, 225));
  EXPECT_EQ(GetSysColor(COLOR_MENUBAR), RGB(240, 240, 240));
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  gdi::SetSysColorValue(COLOR_BTNFACE, RGB(1, 2, 3));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(1, 2, 3));
  LOGBRUSH lb{};
  GetObjectW(face, sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, RGB(1, 2, 3));  // the system brush follows its colour
  TestDib t(1, 1);
  RECT r{0, 0, 1, 1};
  FillRect(t.dc, &r, face);
  EXPECT_EQ(t.At(0, 0), 0x00010203u);
  EXPECT_TRUE(DeleteObject(face));
  EXPECT_EQ(GetObjectType(face), OBJ_BRUSH);
  gdi::ResetSysColors();
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(240, 240, 240));
}

TEST(GdiMisc, PalettesOnATrueColourDevice) {
  TestDib t(1, 1);
  struct {
    WORD version, count;
    PALETTEENTRY e[2];
  } lp{0x300, 2, {{255, 0, 0, 0}, {0, 0, 255, 0}}};
  HPALETTE pal = CreatePalette(reinterpret_cast<LOGPALETTE*>(&lp));
  ASSERT_NE(pal, nullptr);
  HPALETTE old = SelectPalette(t.dc, pal, FALSE);
  EXPECT_EQ(old, GetStockObject(DEFAULT_PALETTE));
  EXPECT_EQ(RealizePalette(t.dc), 0u);
  EXPECT_EQ(GetNearestPaletteIndex(pal, RGB(10, 0, 200)), 1u);
  EXPECT_EQ(GetNearestColor(t.dc, RGB(10, 20, 30)), RGB(10, 20, 30));
  PALETTEENTRY sys[4];
  EXPECT_EQ(GetSystemPaletteEntries(t.dc, 0, 4, sys), 0u);
  SelectPalette(t.dc, old, FALSE);
  EXPECT_TRUE(DeleteObject(pal));
}

TEST(GdiMisc, SystemRegionOfASurfaceDc) {
  auto surface = std::make_shared<gdi::Surface>();
  surface->Resize(20, 20);
  HRGN vis = CreateRectRgn(0, 0, 5, 5);
  HDC dc = gdi::CreateSurfaceDC(surface, {3, 4}, vis, nullptr);
  HRGN r = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetRandomRgn(dc, r, SYSRGN), 1);
  RECT box;
  GetRgnBox(r, &box);
  EXPECT_EQ(box, (RECT{3, 4, 8, 9}));
  EXPECT_EQ(GetClipRgn(dc, r), 0);  // the system region is not the clip region
  gdi::DeleteSurfaceDC(dc);
  DeleteObject(vis);
  DeleteObject(r);
}

}  // namespace
}  // namespace qd
