// System metrics and parameters, DPI and monitors, system colours, cursors and the caret.
#include <gtest/gtest.h>

#include "platform/os/modules.h"
#include "user_test_util.h"

namespace qd::testing {
namespace {

using Lines = std::vector<std::string>;

class System : public WmTest {};

TEST_F(System, MetricsOfAWindows10DesktopScaleWithDpi) {
  struct Case {
    int index;
    UINT dpi;
    int value;
  } cases[] = {{SM_CXVSCROLL, 96, 17},
               {SM_CYHSCROLL, 96, 17},
               {SM_CYCAPTION, 96, 23},
               {SM_CXBORDER, 96, 1},
               {SM_CXEDGE, 96, 2},
               {SM_CXFIXEDFRAME, 96, 3},
               {SM_CXSIZEFRAME, 96, 4},
               {SM_CXICON, 96, 32},
               {SM_CXSMICON, 96, 16},
               {SM_CXDOUBLECLK, 96, 4},
               {SM_CXDRAG, 96, 4},
               {SM_CYMENU, 96, 20},
               {SM_SWAPBUTTON, 96, 0},
               {SM_MOUSEWHEELPRESENT, 96, 1},
               {SM_CMONITORS, 96, 1},
               {SM_REMOTESESSION, 96, 0},
               {SM_DIGITIZER, 96, 0},
               {SM_MAXIMUMTOUCHES, 96, 0},
               {SM_CXSCREEN, 96, 1920},
               {SM_CYSCREEN, 96, 1080},
               {SM_CXVSCROLL, 144, 26},
               {SM_CYCAPTION, 120, 29},
               {SM_CXBORDER, 192, 1},
               {SM_CXSCREEN, 144, 1920},
               {SM_CXVIRTUALSCREEN, 96, 1920}};
  for (auto& c : cases) EXPECT_EQ(GetSystemMetricsForDpi(c.index, c.dpi), c.value) << c.index << "@" << c.dpi;
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 17);
  os::SetSystemMetric(SM_CXVSCROLL, 20);
  EXPECT_EQ(GetSystemMetricsForDpi(SM_CXVSCROLL, 192), 40);
}

TEST_F(System, ParametersTheLibraryReadsAndTheirSetters) {
  UINT lines = 0;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
  EXPECT_EQ(lines, 3u);
  BOOL anim = FALSE;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &anim, 0));
  EXPECT_TRUE(anim);
  UINT hover = 0;
  SystemParametersInfoW(SPI_GETMOUSEHOVERTIME, 0, &hover, 0);
  EXPECT_EQ(hover, 400u);
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(work, (RECT{0, 0, 1920, 1040}));
  // Setting with SPIF_SENDCHANGE tells the top-level windows.
  HWND w = CreateRecorded("w", WS_POPUP, 0, 0, 10, 10);
  (void)w;
  MessageLog::Get().Clear();
  SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, WHEEL_PAGESCROLL, nullptr, SPIF_SENDCHANGE);
  SystemParametersInfoW(SPI_SETTOOLTIPANIMATION, 0, reinterpret_cast<void*>(0), 0);
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  EXPECT_EQ(lines, WHEEL_PAGESCROLL);
  SystemParametersInfoW(SPI_GETTOOLTIPANIMATION, 0, &anim, 0);
  EXPECT_FALSE(anim);
  EXPECT_EQ(MessageLog::Get().Lines({WM_SETTINGCHANGE}), (Lines{"w:WM_SETTINGCHANGE"}));
  EXPECT_EQ(MessageLog::Get().Entries().back().wParam, SPI_SETWHEELSCROLLLINES);
  // NONCLIENTMETRICSW: both sizes work, fonts are Segoe UI 9 pt scaled for the DPI.
  NONCLIENTMETRICSW ncm;
  ASSERT_TRUE(SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, 0, &ncm, 0, 144));
  EXPECT_EQ(String(ncm.lfMessageFont.lfFaceName), u"Segoe UI");
  EXPECT_EQ(ncm.lfMessageFont.lfHeight, -18);
  EXPECT_EQ(ncm.iScrollWidth, 26);
  ncm.cbSize = sizeof(ncm) - sizeof(int);
  EXPECT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0));
  ncm.cbSize = 12;
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 0, &ncm, 0));
  LOGFONTW lf;
  SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0);
  EXPECT_EQ(lf.lfHeight, -12);
  ANIMATIONINFO ai;
  EXPECT_TRUE(SystemParametersInfoW(SPI_GETANIMATION, sizeof ai, &ai, 0));
}

TEST_F(System, MonitorChangesSendDpiChangedWithTheChildrenBeforeAndAfter) {
  HWND top = CreateRecorded("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);
  HWND child = CreateRecorded("child", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top);
  HWND grand = CreateRecorded("grand", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, child);
  HWND msg = CreateRecorded("msg", 0, 0, 0, 0, 0, HWND_MESSAGE);
  (void)grand;
  (void)msg;
  EXPECT_EQ(GetDpiForWindow(top), 96u);
  RECT suggested{};
  SetOverride(top, [&](HWND, UINT m, WPARAM, LPARAM l, LRESULT&) {
    if (m == WM_DPICHANGED) suggested = *reinterpret_cast<RECT*>(l);
    return false;
  });
  MessageLog::Get().Clear();
  os::SetMonitorDpi(0, 144);
  EXPECT_EQ(
      MessageLog::Get().Lines({WM_DPICHANGED, WM_DPICHANGED_BEFOREPARENT, WM_DPICHANGED_AFTERPARENT}),
      (Lines{"grand:WM_DPICHANGED_BEFOREPARENT", "child:WM_DPICHANGED_BEFOREPARENT", "top:WM_DPICHANGED",
             "child:WM_DPICHANGED_AFTERPARENT", "grand:WM_DPICHANGED_AFTERPARENT"}));
  for (auto& e : MessageLog::Get().Entries())
    if (e.msg == WM_DPICHANGED) {
      EXPECT_EQ(e.wParam, static_cast<WPARAM>(MAKEWPARAM(144, 144)));
    }
  EXPECT_EQ(suggested, (RECT{100, 100, 100 + 600, 100 + 450}));
  EXPECT_EQ(GetDpiForWindow(top), 144u);
  EXPECT_EQ(GetDpiForWindow(grand), 144u);
  UINT x = 0, y = 0;
  EXPECT_EQ(GetDpiForMonitor(MonitorFromWindow(top, MONITOR_DEFAULTTONEAREST), MDT_EFFECTIVE_DPI, &x, &y),
            S_OK);
  EXPECT_EQ(x, 144u);
  MessageLog::Get().Clear();
  os::SetMonitorDpi(0, 144);  // no change, no message
  EXPECT_TRUE(MessageLog::Get().Lines({WM_DPICHANGED}).empty());
}

TEST_F(System, MonitorsFromPointsRectsAndWindows) {
  os::MonitorDesc a{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96, u""};
  os::MonitorDesc b{{1920, 0, 3200, 1024}, {1920, 0, 3200, 1024}, 120, u""};
  CreateRecorded("w", WS_POPUP, 0, 0, 10, 10);
  MessageLog::Get().Clear();
  os::SetMonitors({a, b});
  EXPECT_EQ(MessageLog::Get().Lines({WM_DISPLAYCHANGE}), (Lines{"w:WM_DISPLAYCHANGE"}));
  EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 2);
  EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 3200);
  HMONITOR ma = MonitorFromPoint({10, 10}, MONITOR_DEFAULTTONULL);
  HMONITOR mb = MonitorFromPoint({2000, 10}, MONITOR_DEFAULTTONULL);
  EXPECT_NE(ma, mb);
  EXPECT_EQ(MonitorFromPoint({5000, 10}, MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_EQ(MonitorFromPoint({5000, 10}, MONITOR_DEFAULTTONEAREST), mb);
  EXPECT_EQ(MonitorFromPoint({5000, 10}, MONITOR_DEFAULTTOPRIMARY), ma);
  RECT r{1800, 0, 2100, 100};  // more of it on the second monitor
  EXPECT_EQ(MonitorFromRect(&r, MONITOR_DEFAULTTONULL), mb);
  MONITORINFOEXW mi;
  ASSERT_TRUE(GetMonitorInfoW(mb, &mi));
  EXPECT_EQ(mi.rcWork, b.work);
  EXPECT_EQ(mi.dwFlags, 0u);
  EXPECT_EQ(String(mi.szDevice), u"\\\\.\\DISPLAY2");
  // A window moving to the other monitor changes its DPI.
  HWND t = CreateRecorded("t", WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
  MessageLog::Get().Clear();
  SetWindowPos(t, nullptr, 2000, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(MessageLog::Get().Lines({WM_DPICHANGED}), (Lines{"t:WM_DPICHANGED"}));
  EXPECT_EQ(GetDpiForWindow(t), 120u);
}

TEST_F(System, DpiAwarenessContextsUseTheRawValuesTheLibraryCompares) {
  EXPECT_EQ(reinterpret_cast<uintptr_t>(GetThreadDpiAwarenessContext()), 0x22u);
  EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()),
            DPI_AWARENESS_PER_MONITOR_AWARE);
  EXPECT_TRUE(AreDpiAwarenessContextsEqual(GetThreadDpiAwarenessContext(),
                                           DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2));
  EXPECT_FALSE(SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_UNAWARE));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  DPI_AWARENESS_CONTEXT old = SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_UNAWARE);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(GetThreadDpiAwarenessContext()), 0x10u);
  os::SetSystemDpi(144);
  EXPECT_EQ(GetDpiForSystem(), 96u);  // unaware threads see 96
  SetThreadDpiAwarenessContext(old);
  EXPECT_EQ(GetDpiForSystem(), 144u);
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 26);
  int awareness = -1;
  EXPECT_EQ(GetProcessDpiAwareness(nullptr, &awareness), S_OK);
  EXPECT_EQ(awareness, PROCESS_PER_MONITOR_DPI_AWARE);
  // Bound by name, as the library does.
  auto fn = reinterpret_cast<DPI_AWARENESS_CONTEXT (*)()>(
      GetProcAddress(GetModuleHandleW(u"user32.dll"), "GetThreadDpiAwarenessContext"));
  ASSERT_NE(fn, nullptr);
  EXPECT_EQ(fn(), GetThreadDpiAwarenessContext());
}

TEST_F(System, SetSysColorsChangesColoursAndBroadcasts) {
  HWND w = CreateRecorded("w", WS_POPUP, 0, 0, 10, 10);
  HWND m = CreateRecorded("m", 0, 0, 0, 0, 0, HWND_MESSAGE);
  (void)w;
  (void)m;
  INT idx = COLOR_BTNFACE;
  COLORREF val = RGB(1, 2, 3);
  MessageLog::Get().Clear();
  ASSERT_TRUE(SetSysColors(1, &idx, &val));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), val);
  EXPECT_EQ(MessageLog::Get().Lines({WM_SYSCOLORCHANGE}), (Lines{"w:WM_SYSCOLORCHANGE"}));
}

TEST_F(System, CursorsCaretAndMsimg32Exports) {
  HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
  ASSERT_TRUE(arrow);
  EXPECT_NE(arrow, hand);
  EXPECT_EQ(LoadCursorW(nullptr, IDC_ARROW), arrow);  // shared
  EXPECT_EQ(os::SystemCursorId(hand), 32649);
  SetCursor(hand);
  EXPECT_EQ(GetCursor(), hand);
  // The class cursor is set over the client area by WM_SETCURSOR's default.
  HWND w = CreateRecorded("w", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
  os::InjectMouseMove({10, 10});
  PumpMessages();
  EXPECT_EQ(GetCursor(), arrow);
  // A cursor from pixels.
  BYTE andMask[32 * 4], xorMask[32 * 4];
  std::fill(std::begin(andMask), std::end(andMask), 0xFF);
  std::fill(std::begin(xorMask), std::end(xorMask), 0x00);
  andMask[0] = 0x7F;  // the top-left pixel is black
  HCURSOR custom = CreateCursor(nullptr, 1, 2, 32, 32, andMask, xorMask);
  ICONINFO ii;
  ASSERT_TRUE(GetIconInfo(custom, &ii));
  EXPECT_EQ(ii.xHotspot, 1u);
  EXPECT_EQ(ii.yHotspot, 2u);
  os::WindowPixels img;
  POINT hot;
  ASSERT_TRUE(os::GetCursorImage(custom, img, hot));
  EXPECT_EQ(img.At(0, 0), 0xFF000000u);
  EXPECT_EQ(img.At(1, 0), 0u);
  DeleteObject(ii.hbmColor);
  DeleteObject(ii.hbmMask);
  DestroyCursor(custom);
  // The caret is state only.
  EXPECT_TRUE(CreateCaret(w, nullptr, 1, 15));
  SetCaretPos(4, 5);
  POINT cp;
  GetCaretPos(&cp);
  EXPECT_EQ(cp, (POINT{4, 5}));
  EXPECT_TRUE(ShowCaret(w));
  EXPECT_EQ(GetCaretBlinkTime(), 530u);
  EXPECT_TRUE(DestroyCaret());
  EXPECT_NE(GetProcAddress(LoadLibraryW(u"msimg32.dll"), "AlphaBlend"), nullptr);
  EXPECT_NE(GetProcAddress(GetModuleHandleW(u"user32.dll"), "UpdateLayeredWindow"), nullptr);
  EXPECT_NE(GetProcAddress(GetModuleHandleW(u"shcore.dll"), "GetDpiForMonitor"), nullptr);
}

TEST_F(System, IconsFromBitmapsDrawWithTheirAlpha) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = 4;
  bi.bmiHeader.biHeight = -4;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP color = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* px = static_cast<uint32_t*>(bits);
  for (int i = 0; i < 16; ++i) px[i] = 0xFF0000FFu;  // opaque blue
  px[0] = 0;                                         // one transparent pixel
  BYTE maskBits[8] = {};
  HBITMAP mask = CreateBitmap(4, 4, 1, 1, maskBits);
  ICONINFO ii;
  ii.fIcon = TRUE;
  ii.hbmColor = color;
  ii.hbmMask = mask;
  HICON icon = CreateIconIndirect(&ii);
  ASSERT_TRUE(icon);
  void* dstBits = nullptr;
  HBITMAP dst = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &dstBits, nullptr, 0);
  auto* d = static_cast<uint32_t*>(dstBits);
  for (int i = 0; i < 16; ++i) d[i] = 0x00FF0000u;  // red underneath
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, dst);
  EXPECT_TRUE(DrawIconEx(dc, 0, 0, icon, 4, 4, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(d[0] & 0xFFFFFF, 0xFF0000u);  // the transparent pixel keeps the background
  EXPECT_EQ(d[5] & 0xFFFFFF, 0x0000FFu);
  DeleteDC(dc);
  DeleteObject(dst);
  DeleteObject(color);
  DeleteObject(mask);
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_FALSE(DestroyIcon(icon));
}

TEST_F(System, CompositionIsOnSwitchableAndBoundByName) {
  using IsEnabled = HRESULT (*)(BOOL*);
  auto fn =
      reinterpret_cast<IsEnabled>(GetProcAddress(LoadLibraryW(u"dwmapi.dll"), "DwmIsCompositionEnabled"));
  ASSERT_NE(fn, nullptr);
  BOOL on = FALSE;
  EXPECT_EQ(fn(&on), S_OK);
  EXPECT_TRUE(on);
  HWND w = CreateRecorded("w", WS_POPUP, 0, 0, 10, 10);
  (void)w;
  MessageLog::Get().Clear();
  os::SetCompositionEnabled(false);
  fn(&on);
  EXPECT_FALSE(on);
  EXPECT_EQ(MessageLog::Get().Entries().size(), 1u);
  EXPECT_EQ(MessageLog::Get().Entries()[0].msg, WM_DWMCOMPOSITIONCHANGED);
  {
    os::ScopedModuleTable saved;
    os::RemoveModule("dwmapi.dll");
    EXPECT_EQ(LoadLibraryW(u"dwmapi.dll"), nullptr);
  }
  EXPECT_NE(LoadLibraryW(u"dwmapi.dll"), nullptr);
}

}  // namespace
}  // namespace qd::testing
