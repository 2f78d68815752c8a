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

namespace qd {
namespace {

TEST(GdiMisc, HugeCoordinatesDrawOnlyWhatIsVisible) {
  testing::TestDib t(16, 16);
  const int big = 1 << 30;
  MoveToEx(t.dc, -big, -big + 3, nullptr);
  LineTo(t.dc, big, big + 3);
  HPEN dashed = CreatePen(PS_DOT, 1, 0);
  HGDIOBJ old = SelectObject(t.dc, dashed);
  MoveToEx(t.dc, -big, 5, nullptr);
  LineTo(t.dc, big, 7);
  SelectObject(t.dc, old);
  DeleteObject(dashed);
  Ellipse(t.dc, -big, -big, big, big);
  RoundRect(t.dc, -big, -big, big, big, big, big);
  POINT tri[3] = {{-big, -big}, {big, 0}, {0, big}};
  Polygon(t.dc, tri, 3);
  RECT r{-big, -big, big, big};
  FillRect(t.dc, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  EXPECT_EQ(t.At(8, 8), 0x00808080u);
  HPEN wide = CreatePen(PS_SOLID, 5, 0);
  old = SelectObject(t.dc, wide);
  MoveToEx(t.dc, -big, -big, nullptr);
  LineTo(t.dc, big, big);
  SelectObject(t.dc, old);
  DeleteObject(wide);
  EXPECT_EQ(t.At(8, 8), 0u);
  TextOutW(t.dc, big, big, u"far away", 8);
  StretchBlt(t.dc, -big, -big, 2 * (big - 1), 2 * (big - 1), t.dc, 0, 0, 16, 16, SRCCOPY);
  EXPECT_EQ(CreateEllipticRgn(-big, -big, big, big), nullptr);
  HRGN rect = CreateRectRgn(-big, -big, big, big);
  EXPECT_NE(rect, nullptr);
  EXPECT_EQ(OffsetRgn(rect, big, big), SIMPLEREGION);
  DeleteObject(rect);
}

}  // namespace
}  // namespace qd

namespace qd {
namespace {

int big() {
  return 1 << 30;
}

TEST(GdiMisc, ExtremeIntegersNeverOverflow) {
  testing::TestDib t(8, 8);
  const int lo = INT32_MIN, hi = INT32_MAX;
  const int values[] = {lo, hi, lo + 1, hi - 1, 0};
  BITMAPINFO bi = testing::Info32(2, 2, false);
  uint32_t px[4] = {};
  for (int a : values)
    for (int b : values) {
      RECT r{a, b, b, a};
      FillRect(t.dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      FrameRect(t.dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      InvertRect(t.dc, &r);
      DrawFocusRect(t.dc, &r);
      RECT e = r;
      DrawEdge(t.dc, &e, EDGE_RAISED, BF_RECT | BF_ADJUST | BF_MIDDLE);
      RECT d = r;
      DrawTextW(t.dc, u"abc def", -1, &d, DT_WORDBREAK | DT_CENTER);
      d = r;
      DrawTextW(t.dc, u"abc", -1, &d, DT_CALCRECT);
      ExtTextOutW(t.dc, a, b, ETO_OPAQUE | ETO_CLIPPED, &r, u"x", 1, nullptr);
      TabbedTextOutW(t.dc, a, b, u"a\tb", 3, 0, nullptr, b);
      Rectangle(t.dc, a, b, b, a);
      Ellipse(t.dc, a, b, b, a);
      RoundRect(t.dc, a, b, b, a, a, b);
      Pie(t.dc, a, b, b, a, a, a, b, b);
      MoveToEx(t.dc, a, b, nullptr);
      LineTo(t.dc, b, a);
      PatBlt(t.dc, a, b, b, a, PATINVERT);
      BitBlt(t.dc, a, b, b, a, t.dc, b, a, SRCCOPY);
      StretchBlt(t.dc, a, b, a, b, t.dc, b, a, b, a, SRCINVERT);
      BLENDFUNCTION bf{AC_SRC_OVER, 0, 128, 0};
      AlphaBlend(t.dc, a, b, 4, 4, t.dc, 0, 0, 4, 4, bf);
      StretchDIBits(t.dc, a, b, b, a, a, b, a, b, px, &bi, DIB_RGB_COLORS, SRCCOPY);
      SetDIBitsToDevice(t.dc, a, b, 2, 2, a, b, 0, 2, px, &bi, DIB_RGB_COLORS);
      TRIVERTEX v[2] = {{a, b, 0, 0, 0, 0}, {b, a, 0xFF00, 0, 0, 0}};
      GRADIENT_RECT gr{0, 1};
      GradientFill(t.dc, v, 2, &gr, 1, GRADIENT_FILL_RECT_H);
      SaveDC(t.dc);
      SetWindowOrgEx(t.dc, a, b, nullptr);
      OffsetViewportOrgEx(t.dc, b, a, nullptr);
      IntersectClipRect(t.dc, a, b, b, a);
      ExcludeClipRect(t.dc, b, a, a, b);
      OffsetClipRgn(t.dc, a, b);
      FillRect(t.dc, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
      RestoreDC(t.dc, -1);
      HRGN rgn = CreateRectRgn(a, b, b, a);
      OffsetRgn(rgn, a, b);
      OffsetRgn(rgn, b, a);
      DeleteObject(rgn);
    }
  // An enormous world transform.
  SetGraphicsMode(t.dc, GM_ADVANCED);
  XFORM x{1e30f, 0, 0, -1e30f, 1e30f, 0};
  ASSERT_TRUE(SetWorldTransform(t.dc, &x));
  RECT r{0, 0, 2, 2};
  FillRect(t.dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  Ellipse(t.dc, 0, 0, 3, 3);
  MoveToEx(t.dc, 0, 0, nullptr);
  LineTo(t.dc, 5, 5);
  TextOutW(t.dc, 0, 0, u"x", 1);
  IntersectClipRect(t.dc, 0, 0, 1, 1);
  RECT box;
  GetClipBox(t.dc, &box);
  POINT p{3, 4};
  LPtoDP(t.dc, &p, 1);
  DPtoLP(t.dc, &p, 1);
  XFORM rot{0.6f, 0.8f, -0.8f, 0.6f, 0, 0};
  SetWorldTransform(t.dc, &rot);
  Ellipse(t.dc, -big(), -big(), big(), big());
  // The DC is still in order afterwards.
  ModifyWorldTransform(t.dc, nullptr, MWT_IDENTITY);
  SelectClipRgn(t.dc, nullptr);
  RECT one{3, 3, 4, 4};
  FillRect(t.dc, &one, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(GetPixel(t.dc, 3, 3), RGB(255, 255, 255));
  EXPECT_EQ(SaveDC(t.dc), 1);
}

}  // namespace
}  // namespace qd
