// Device contexts, objects, handles, save/restore and coordinate mapping.
#include <gtest/gtest.h>

#include "platform/os/gdi.h"
#include "platform/os/gdi_surface.h"
#include "gdi_test_util.h"

namespace qd {
namespace {

using testing::Rows;
using testing::TestDib;

TEST(GdiDc, NewMemoryDcHasMonochromeBitmapAndDefaults) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetObjectType(dc), OBJ_MEMDC);
  HGDIOBJ bm = GetCurrentObject(dc, OBJ_BITMAP);
  BITMAP info{};
  ASSERT_EQ(GetObjectW(bm, sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(info.bmWidth, 1);
  EXPECT_EQ(info.bmHeight, 1);
  EXPECT_EQ(info.bmBitsPixel, 1);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
  EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
  EXPECT_EQ(GetGraphicsMode(dc), GM_COMPATIBLE);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
  EXPECT_EQ(GetDeviceCaps(dc, PLANES), 1);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
  EXPECT_EQ(GetDeviceCaps(dc, NUMCOLORS), -1);
  EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASDISPLAY);
  // A bitmap compatible with the fresh memory DC is monochrome, as on the original.
  HBITMAP mono = CreateCompatibleBitmap(dc, 4, 4);
  ASSERT_EQ(GetObjectW(mono, sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(info.bmBitsPixel, 1);
  DeleteObject(mono);
  DeleteDC(dc);
}

TEST(GdiDc, DpiIsSettable) {
  HDC dc = CreateCompatibleDC(nullptr);
  gdi::SetScreenDpi(144);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 144);
  // The default GUI font is 8 points at the screen's DPI.
  LOGFONTW lf{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -16);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 16);
  gdi::SetScreenDpi(96);
  GetTextMetricsW(dc, &tm);
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 11);
  SelectObject(dc, old);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
  DeleteDC(dc);
}

TEST(GdiHandles, StaleAndWrongHandlesFailWithoutCrashing) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  ASSERT_TRUE(DeleteObject(brush));
  RECT r{0, 0, 1, 1};
  EXPECT_EQ(FillRect(dc, &r, brush), 0);
  EXPECT_EQ(SelectObject(dc, brush), nullptr);
  EXPECT_FALSE(DeleteObject(brush));
  EXPECT_EQ(GetObjectType(brush), 0u);
  LOGBRUSH lb{};
  EXPECT_EQ(GetObjectW(brush, sizeof lb, &lb), 0);
  // A new object never answers to the old handle.
  HBRUSH again = CreateSolidBrush(RGB(4, 5, 6));
  EXPECT_NE(again, brush);
  EXPECT_EQ(GetObjectType(brush), 0u);
  // Wrong kinds of handle.
  EXPECT_EQ(SelectClipRgn(dc, reinterpret_cast<HRGN>(again)), ERROR);
  EXPECT_EQ(GetTextColor(reinterpret_cast<HDC>(again)), CLR_INVALID);
  EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(again)));
  EXPECT_EQ(FillRect(reinterpret_cast<HDC>(0x12345), &r, again), 0);
  EXPECT_FALSE(BitBlt(dc, 0, 0, 1, 1, reinterpret_cast<HDC>(again), 0, 0, SRCCOPY));
  // Objects selected into a DC cannot be deleted; stock objects are never deleted.
  HGDIOBJ old = SelectObject(dc, again);
  EXPECT_FALSE(DeleteObject(again));
  SelectObject(dc, old);
  EXPECT_TRUE(DeleteObject(again));
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(GetObjectType(GetStockObject(BLACK_BRUSH)), OBJ_BRUSH);
  ASSERT_TRUE(DeleteDC(dc));
  EXPECT_EQ(SaveDC(dc), 0);
  EXPECT_FALSE(DeleteDC(dc));
}

TEST(GdiHandles, BitmapSelectsIntoOneDcOnly) {
  TestDib a(2, 2);
  HDC other = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(other, a.bm), nullptr);
  EXPECT_FALSE(DeleteObject(a.bm));
  DeleteDC(other);
}

TEST(GdiDc, SaveDcAndRestoreDcWithAbsoluteAndRelativeIndices) {
  TestDib t(4, 4);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  SetTextColor(t.dc, RGB(1, 1, 1));
  EXPECT_EQ(SaveDC(t.dc), 1);
  SetTextColor(t.dc, RGB(2, 2, 2));
  HGDIOBJ old = SelectObject(t.dc, red);
  IntersectClipRect(t.dc, 0, 0, 1, 1);
  SetWindowOrgEx(t.dc, 5, 5, nullptr);
  EXPECT_EQ(SaveDC(t.dc), 2);
  SetTextColor(t.dc, RGB(3, 3, 3));
  EXPECT_EQ(SaveDC(t.dc), 3);
  // The brush is held by saved states: it cannot be deleted yet.
  SelectObject(t.dc, old);
  EXPECT_FALSE(DeleteObject(red));
  EXPECT_TRUE(RestoreDC(t.dc, -1));
  EXPECT_EQ(GetTextColor(t.dc), RGB(3, 3, 3));
  EXPECT_TRUE(RestoreDC(t.dc, 2));
  EXPECT_EQ(GetTextColor(t.dc), RGB(2, 2, 2));
  EXPECT_EQ(GetCurrentObject(t.dc, OBJ_BRUSH), red);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(t.dc, rgn), 1);
  EXPECT_FALSE(RestoreDC(t.dc, 2));  // state 2 is gone
  EXPECT_FALSE(RestoreDC(t.dc, 0));
  EXPECT_TRUE(RestoreDC(t.dc, -1));
  EXPECT_EQ(GetTextColor(t.dc), RGB(1, 1, 1));
  EXPECT_EQ(GetClipRgn(t.dc, rgn), 0);
  POINT org;
  GetWindowOrgEx(t.dc, &org);
  EXPECT_EQ(org, (POINT{0, 0}));
  EXPECT_FALSE(RestoreDC(t.dc, -1));
  EXPECT_TRUE(DeleteObject(red));
  DeleteObject(rgn);
}

TEST(GdiDc, WorldTransformOnlyInAdvancedMode) {
  HDC dc = CreateCompatibleDC(nullptr);
  XFORM x{2, 0, 0, 2, 10, 0};
  EXPECT_FALSE(SetWorldTransform(dc, &x));
  EXPECT_EQ(SetGraphicsMode(dc, GM_ADVANCED), GM_COMPATIBLE);
  EXPECT_TRUE(SetWorldTransform(dc, &x));
  XFORM shift{1, 0, 0, 1, 0, 5};
  EXPECT_TRUE(ModifyWorldTransform(dc, &shift, MWT_LEFTMULTIPLY));
  POINT p{1, 1};
  LPtoDP(dc, &p, 1);
  EXPECT_EQ(p, (POINT{12, 12}));                     // (1, 1 + 5) * 2 + (10, 0)
  EXPECT_EQ(SetGraphicsMode(dc, GM_COMPATIBLE), 0);  // not while the transform is not identity
  EXPECT_TRUE(ModifyWorldTransform(dc, nullptr, MWT_IDENTITY));
  EXPECT_EQ(SetGraphicsMode(dc, GM_COMPATIBLE), GM_ADVANCED);
  XFORM singular{0, 0, 0, 0, 0, 0};
  SetGraphicsMode(dc, GM_ADVANCED);
  EXPECT_FALSE(SetWorldTransform(dc, &singular));
  DeleteDC(dc);
}

TEST(GdiObjects, GetObjectDescribesPensBrushesFontsAndDibSections) {
  HPEN pen = CreatePen(PS_DASH, 1, RGB(1, 2, 3));
  LOGPEN lp{};
  ASSERT_EQ(GetObjectW(pen, sizeof lp, &lp), static_cast<int>(sizeof lp));
  EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_DASH));
  EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
  HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(9, 9, 9));
  LOGBRUSH lb{};
  ASSERT_EQ(GetObjectW(hatch, sizeof lb, &lb), static_cast<int>(sizeof lb));
  EXPECT_EQ(lb.lbStyle, BS_HATCHED);
  EXPECT_EQ(lb.lbHatch, static_cast<ULONG_PTR>(HS_CROSS));
  LOGFONTW lf{};
  lf.lfHeight = -13;
  lf.lfWeight = FW_BOLD;
  std::u16string face = u"Tahoma";
  face.copy(lf.lfFaceName, face.size());
  HFONT font = CreateFontIndirectW(&lf);
  LOGFONTW back{};
  ASSERT_EQ(GetObjectW(font, sizeof back, &back), static_cast<int>(sizeof back));
  EXPECT_EQ(back.lfHeight, -13);
  EXPECT_EQ(std::u16string(back.lfFaceName), u"Tahoma");
  BITMAPINFO bi = testing::Info32(3, 5, false);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  DIBSECTION ds{};
  ASSERT_EQ(GetObjectW(dib, sizeof ds, &ds), static_cast<int>(sizeof ds));
  EXPECT_EQ(ds.dsBm.bmBits, bits);
  EXPECT_EQ(ds.dsBm.bmWidthBytes, 12);
  EXPECT_EQ(ds.dsBmih.biHeight, 5);
  EXPECT_EQ(GetObjectType(GetStockObject(DEFAULT_PALETTE)), OBJ_PAL);
  for (HGDIOBJ o : {static_cast<HGDIOBJ>(pen), static_cast<HGDIOBJ>(hatch), static_cast<HGDIOBJ>(font),
                    static_cast<HGDIOBJ>(dib)})
    EXPECT_TRUE(DeleteObject(o));
}

TEST(GdiSurface, SurfaceDcDrawsAtItsOffsetInsideItsVisibleRegion) {
  auto surface = std::make_shared<gdi::Surface>();
  surface->Resize(8, 4);
  HRGN vis = CreateRectRgn(0, 0, 3, 2);  // device coordinates of the DC
  HWND wnd = reinterpret_cast<HWND>(0x77);
  HDC dc = gdi::CreateSurfaceDC(surface, {2, 1}, vis, wnd);
  DeleteObject(vis);
  EXPECT_EQ(gdi::WindowOfDC(dc), wnd);
  EXPECT_EQ(GetObjectType(dc), OBJ_DC);
  RECT all{-10, -10, 100, 100};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  std::string mask;
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 8; ++x) mask += surface->pixels[y * 8 + x] == 0 ? '.' : '#';
    mask += '\n';
  }
  // Black fill is 0 with alpha 0, so compare against a white start.
  for (auto& p : surface->pixels) p = 0xFFFFFFFF;
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  mask.clear();
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 8; ++x) mask += surface->pixels[y * 8 + x] == 0 ? '#' : '.';
    mask += '\n';
  }
  EXPECT_EQ(mask, Rows({"........", "..###...", "..###...", "........"}));
  RECT box;
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{0, 0, 3, 2}));
  // The window manager moves the DC: a new offset and region.
  HRGN vis2 = CreateRectRgn(0, 0, 1, 1);
  gdi::SetSurfaceDCVisibleRegion(dc, {7, 3}, vis2);
  DeleteObject(vis2);
  for (auto& p : surface->pixels) p = 0xFFFFFFFF;
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  int black = 0;
  for (auto p : surface->pixels) black += p == 0;
  EXPECT_EQ(black, 1);
  EXPECT_EQ(surface->pixels[3 * 8 + 7], 0u);
  EXPECT_FALSE(DeleteDC(dc));  // surface DCs are released through the window manager
  gdi::DeleteSurfaceDC(dc);
  EXPECT_EQ(GetObjectType(dc), 0u);
}

TEST(GdiSurface, RegionsConvertToAndFromPixman) {
  HRGN a = CreateRectRgn(1, 2, 5, 6);
  const pixman_region32* p = gdi::RegionData(a);
  ASSERT_NE(p, nullptr);
  HRGN b = gdi::CreateRegionFromPixman(p);
  EXPECT_TRUE(EqualRgn(a, b));
  EXPECT_EQ(gdi::RegionData(reinterpret_cast<HRGN>(GetStockObject(BLACK_BRUSH))), nullptr);
  DeleteObject(a);
  DeleteObject(b);
}

}  // namespace
}  // namespace qd
