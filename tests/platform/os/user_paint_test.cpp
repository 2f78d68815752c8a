// Update regions, WM_PAINT and erasing, window DCs clipped to the visible region, scrolling,
// printing, non-client drawing, layered windows and reading back pixels.
#include <gtest/gtest.h>

#include "user_test_util.h"

namespace qd::testing {
namespace {

using Lines = std::vector<std::string>;

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kBlue = 0xFF0000FF;

uint32_t Pixel(HWND top, int x, int y) {
  return os::ReadWindowPixels(top).At(x, y);
}

void Fill(HWND w, COLORREF c, DWORD dcx = 0) {
  HDC dc = dcx ? GetDCEx(w, nullptr, dcx) : GetDC(w);
  HBRUSH b = CreateSolidBrush(c);
  RECT r{-1000, -1000, 1000, 1000};
  FillRect(dc, &r, b);
  DeleteObject(b);
  ReleaseDC(w, dc);
}

class Paint : public WmTest {};

TEST_F(Paint, InvalidateValidateAndUpdateRects) {
  HWND w = CreateRecorded("w", WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 102, 102);
  PumpMessages();
  RECT r;
  EXPECT_FALSE(GetUpdateRect(w, &r, FALSE));
  RECT a{10, 10, 20, 20}, b{50, 50, 60, 70};
  InvalidateRect(w, &a, FALSE);
  InvalidateRect(w, &b, FALSE);
  EXPECT_TRUE(GetUpdateRect(w, &r, FALSE));
  EXPECT_EQ(r, (RECT{10, 10, 60, 70}));
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetUpdateRgn(w, rgn, FALSE), COMPLEXREGION);
  ValidateRect(w, &b);
  EXPECT_EQ(GetUpdateRgn(w, rgn, FALSE), SIMPLEREGION);
  GetRgnBox(rgn, &r);
  EXPECT_EQ(r, a);
  // Outside the client area nothing is invalidated.
  ValidateRect(w, nullptr);
  RECT outside{200, 200, 300, 300};
  InvalidateRect(w, &outside, TRUE);
  EXPECT_FALSE(GetUpdateRect(w, &r, FALSE));
  // Hidden windows collect nothing.
  ShowWindow(w, SW_HIDE);
  InvalidateRect(w, nullptr, TRUE);
  EXPECT_FALSE(GetUpdateRect(w, &r, FALSE));
  DeleteObject(rgn);
}

TEST_F(Paint, BeginPaintErasesWhenAskedAndValidates) {
  HWND w = CreateRecorded("w", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
  PumpMessages();
  PAINTSTRUCT seen{};
  SetOverride(w, [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT& r) {
    if (m != WM_PAINT) return false;
    BeginPaint(h, &seen);
    EndPaint(h, &seen);
    r = 0;
    return true;
  });
  struct Case {
    BOOL erase;
    bool eraseSent;
  } cases[] = {{TRUE, true}, {FALSE, false}};
  for (auto& c : cases) {
    RECT part{5, 5, 15, 25};
    InvalidateRect(w, &part, c.erase);
    MessageLog::Get().Clear();
    PumpMessages();
    EXPECT_EQ(MessageLog::Get().Lines({WM_PAINT, WM_ERASEBKGND}),
              c.eraseSent ? (Lines{"w:WM_PAINT", "w:WM_ERASEBKGND"}) : (Lines{"w:WM_PAINT"}));
    EXPECT_EQ(seen.rcPaint, part);
    EXPECT_FALSE(seen.fErase);  // the class brush erased it, or no erase was asked
    RECT r;
    EXPECT_FALSE(GetUpdateRect(w, &r, FALSE));
  }
  // An unhandled erase is reported through fErase.
  SetOverride(w, [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT& r) {
    if (m == WM_ERASEBKGND) {
      r = 0;
      return true;
    }
    if (m != WM_PAINT) return false;
    BeginPaint(h, &seen);
    EndPaint(h, &seen);
    return true;
  });
  InvalidateRect(w, nullptr, TRUE);
  PumpMessages();
  EXPECT_TRUE(seen.fErase);
}

TEST_F(Paint, ChildrenAreInvalidatedThroughParentsWithoutClipChildren) {
  struct Case {
    DWORD parentStyle;
    bool childInvalid;
    UINT flags;
  } cases[] = {{0, true, RDW_INVALIDATE},
               {WS_CLIPCHILDREN, false, RDW_INVALIDATE},
               {WS_CLIPCHILDREN, true, RDW_INVALIDATE | RDW_ALLCHILDREN},
               {0, false, RDW_INVALIDATE | RDW_NOCHILDREN}};
  for (auto& c : cases) {
    HWND p = CreateRecorded("p", WS_POPUP | WS_VISIBLE | c.parentStyle, 0, 0, 100, 100);
    HWND ch = CreateRecorded("c", WS_CHILD | WS_VISIBLE, 10, 10, 30, 30, p);
    PumpMessages();
    RECT area{0, 0, 20, 20};
    RedrawWindow(p, &area, nullptr, c.flags);
    RECT r;
    EXPECT_EQ(GetUpdateRect(ch, &r, FALSE) != FALSE, c.childInvalid) << c.parentStyle << " " << c.flags;
    if (c.childInvalid) {
      EXPECT_EQ(r, (RECT{0, 0, 10, 10}));
    }
    // WM_PAINT goes to the parent before the child.
    MessageLog::Get().Clear();
    PumpMessages();
    EXPECT_EQ(MessageLog::Get().Lines({WM_PAINT}),
              c.childInvalid ? (Lines{"p:WM_PAINT", "c:WM_PAINT"}) : (Lines{"p:WM_PAINT"}));
    os::ResetWindowManagerForTesting();
  }
}

TEST_F(Paint, WindowDCsAreClippedByChildrenAndSiblingsAsTheStylesSay) {
  struct Case {
    DWORD parentStyle;
    DWORD siblingStyle;
    uint32_t inChild, inOverlap;
  } cases[] = {{WS_CLIPCHILDREN, WS_CLIPSIBLINGS, kWhite, kWhite},
               {0, WS_CLIPSIBLINGS, kRed, kWhite},
               {WS_CLIPCHILDREN, 0, kWhite, kBlue}};
  for (auto& c : cases) {
    HWND p = CreateRecorded("p", WS_POPUP | WS_VISIBLE | c.parentStyle, 0, 0, 100, 100);
    HWND low = CreateRecorded("low", WS_CHILD | WS_VISIBLE | c.siblingStyle, 10, 10, 40, 40, p);
    HWND high = CreateRecorded("high", WS_CHILD | WS_VISIBLE, 30, 30, 40, 40, p);
    (void)high;
    PumpMessages();
    EXPECT_EQ(Pixel(p, 80, 80), kWhite);  // the class brush erased everything
    Fill(p, RGB(255, 0, 0));
    EXPECT_EQ(Pixel(p, 5, 5), kRed);
    EXPECT_EQ(Pixel(p, 15, 15), c.inChild) << c.parentStyle;
    // The lower sibling draws over the upper one only without WS_CLIPSIBLINGS.
    PumpMessages();
    InvalidateRect(p, nullptr, TRUE);
    PumpMessages();
    Fill(low, RGB(0, 0, 255));
    EXPECT_EQ(Pixel(p, 35, 35), c.inOverlap) << c.siblingStyle;
    EXPECT_EQ(Pixel(p, 15, 15), kBlue);
    os::ResetWindowManagerForTesting();
  }
}

TEST_F(Paint, UpdateWindowPaintsAtOnceAndRedrawWindowUpdateNow) {
  HWND p = CreateRecorded("p", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND c = CreateRecorded("c", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, p);
  (void)c;
  MessageLog::Get().Clear();
  UpdateWindow(p);
  EXPECT_EQ(MessageLog::Get().Lines({WM_PAINT}), (Lines{"p:WM_PAINT", "c:WM_PAINT"}));
  MSG m;
  EXPECT_FALSE(PeekMessageW(&m, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
  MessageLog::Get().Clear();
  RedrawWindow(p, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_NOCHILDREN);
  EXPECT_EQ(MessageLog::Get().Lines({WM_PAINT, WM_ERASEBKGND}), (Lines{"p:WM_ERASEBKGND", "p:WM_PAINT"}));
  MessageLog::Get().Clear();
  RedrawWindow(p, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
  EXPECT_EQ(MessageLog::Get().Lines({WM_PAINT, WM_ERASEBKGND}), (Lines{"p:WM_ERASEBKGND"}));
  EXPECT_TRUE(PeekMessageW(&m, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

TEST_F(Paint, FrameDrawingAndCaptionHitTest) {
  HWND w = CreateRecorded("w", WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 50, 40);
  PumpMessages();
  RECT c;
  GetClientRect(w, &c);
  EXPECT_EQ(c, (RECT{0, 0, 48, 38}));
  const COLORREF f = GetSysColor(COLOR_WINDOWFRAME);
  const uint32_t frame = 0xFF000000u | (GetRValue(f) << 16) | (GetGValue(f) << 8) | GetBValue(f);
  EXPECT_EQ(Pixel(w, 0, 0), frame);
  EXPECT_EQ(Pixel(w, 49, 39), frame);
  EXPECT_EQ(Pixel(w, 1, 1), kWhite);
  HWND o = CreateRecorded("o", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  RECT wr, cr;
  GetWindowRect(o, &wr);
  GetClientRect(o, &cr);
  RECT adj = cr;
  AdjustWindowRectEx(&adj, WS_OVERLAPPEDWINDOW, FALSE, 0);
  EXPECT_EQ(adj.Width(), wr.Width());
  EXPECT_EQ(adj.Height(), wr.Height());
  EXPECT_EQ(wr.Width() - cr.Width(), 16);    // 8-pixel sizing frame on each side
  EXPECT_EQ(wr.Height() - cr.Height(), 39);  // the caption and two frames
  struct Hit {
    POINT p;
    LRESULT code;
  } hits[] = {{{150, 103}, HTTOP},     {{102, 150}, HTLEFT},  {{397, 298}, HTBOTTOMRIGHT},
              {{200, 120}, HTCAPTION}, {{390, 120}, HTCLOSE}, {{200, 200}, HTCLIENT}};
  for (auto& h : hits)
    EXPECT_EQ(SendMessageW(o, WM_NCHITTEST, 0, MAKELPARAM(h.p.X, h.p.Y)), h.code) << h.p.X << "," << h.p.Y;
}

TEST_F(Paint, ScrollWindowMovesPixelsAndInvalidatesTheUncoveredStrip) {
  HWND w = CreateRecorded("w", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  PumpMessages();
  HDC dc = GetDC(w);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT band{0, 50, 100, 60};
  FillRect(dc, &band, red);
  ReleaseDC(w, dc);
  DeleteObject(red);
  RECT upd;
  ScrollWindowEx(w, 0, -20, nullptr, nullptr, nullptr, &upd, SW_INVALIDATE);
  EXPECT_EQ(upd, (RECT{0, 80, 100, 100}));
  EXPECT_EQ(Pixel(w, 10, 35), kRed);
  EXPECT_EQ(Pixel(w, 10, 55), kWhite);
  RECT r;
  EXPECT_TRUE(GetUpdateRect(w, &r, FALSE));
  EXPECT_EQ(r, upd);
}

TEST_F(Paint, PrintWindowDrawsBackgroundClientAndChildrenIntoAnyDC) {
  HWND p = CreateRecorded("p", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40);
  HWND c = CreateRecorded("c", WS_CHILD | WS_VISIBLE, 10, 10, 10, 10, p);
  SetOverride(c, [](HWND, UINT m, WPARAM w, LPARAM, LRESULT&) {
    if (m == WM_PRINTCLIENT) {
      HBRUSH b = CreateSolidBrush(RGB(0, 0, 255));
      RECT r{0, 0, 10, 10};
      FillRect(reinterpret_cast<HDC>(w), &r, b);
      DeleteObject(b);
    }
    return false;
  });
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = 40;
  bi.bmiHeader.biHeight = -40;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC mem = CreateCompatibleDC(nullptr);
  SelectObject(mem, bmp);
  MessageLog::Get().Clear();
  PrintWindow(p, mem, 0);
  auto px = static_cast<uint32_t*>(bits);
  EXPECT_EQ(px[5 * 40 + 5] & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(px[15 * 40 + 15] & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(MessageLog::Get().Lines({WM_PRINT, WM_PRINTCLIENT, WM_ERASEBKGND}),
            (Lines{"p:WM_PRINT", "p:WM_ERASEBKGND", "p:WM_PRINTCLIENT", "c:WM_PRINT", "c:WM_ERASEBKGND",
                   "c:WM_PRINTCLIENT"}));
  DeleteDC(mem);
  DeleteObject(bmp);
}

TEST_F(Paint, LayeredWindowsComposeWithAlphaColourKeyAndRegions) {
  HWND w = CreateRecorded("w", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, WS_EX_LAYERED);
  PumpMessages();
  EXPECT_EQ(Pixel(w, 5, 5), 0u);  // no attributes yet: nothing shows
  SetLayeredWindowAttributes(w, 0, 128, LWA_ALPHA);
  EXPECT_EQ(Pixel(w, 5, 5), 0x80808080u);
  COLORREF key;
  BYTE alpha;
  DWORD flags;
  ASSERT_TRUE(GetLayeredWindowAttributes(w, &key, &alpha, &flags));
  EXPECT_EQ(alpha, 128);
  SetLayeredWindowAttributes(w, RGB(255, 255, 255), 0, LWA_COLORKEY);
  EXPECT_EQ(Pixel(w, 5, 5), 0u);
  // UpdateLayeredWindow with premultiplied per-pixel alpha.
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = 20;
  bi.bmiHeader.biHeight = -20;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto px = static_cast<uint32_t*>(bits);
  for (int i = 0; i < 400; ++i) px[i] = 0x40400000;  // red at 25 %
  HDC mem = CreateCompatibleDC(nullptr);
  SelectObject(mem, bmp);
  BLENDFUNCTION bf{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  POINT src{0, 0};
  SIZE size{20, 20};
  ASSERT_TRUE(UpdateLayeredWindow(w, nullptr, nullptr, &size, mem, &src, 0, &bf, ULW_ALPHA));
  EXPECT_EQ(Pixel(w, 3, 3), 0x40400000u);
  EXPECT_FALSE(GetLayeredWindowAttributes(w, &key, &alpha, &flags));
  // Outside the window region the window is transparent; ordinary windows are opaque.
  HWND o = CreateRecorded("o", WS_POPUP | WS_VISIBLE, 100, 0, 20, 20);
  PumpMessages();
  SetWindowRgn(o, CreateEllipticRgn(0, 0, 20, 20), TRUE);
  PumpMessages();
  EXPECT_EQ(Pixel(o, 0, 0), 0u);
  EXPECT_EQ(Pixel(o, 10, 10), kWhite);
  DeleteDC(mem);
  DeleteObject(bmp);
}

TEST_F(Paint, RightToLeftWindowsGetMirroredDCs) {
  HWND top = CreateRecorded("top", WS_POPUP | WS_VISIBLE, 0, 0, 100, 40);
  HWND child = CreateRecorded("child", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, top, WS_EX_LAYOUTRTL);
  PumpMessages();
  Fill(top, RGB(255, 255, 255));
  HDC dc = GetDC(child);
  EXPECT_EQ(GetLayout(dc), LAYOUT_RTL);
  // Logical x 0..4 of the child are its five rightmost client pixels.
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT r{0, 0, 5, 20};
  FillRect(dc, &r, red);
  DeleteObject(red);
  ReleaseDC(child, dc);
  EXPECT_EQ(Pixel(top, 59, 15), kRed);
  EXPECT_EQ(Pixel(top, 55, 15), kRed);
  EXPECT_EQ(Pixel(top, 54, 15), kWhite);
  EXPECT_EQ(Pixel(top, 10, 15), kWhite);
  // A left-to-right window's DC is not mirrored.
  HDC plain = GetDC(top);
  EXPECT_EQ(GetLayout(plain), 0u);
  ReleaseDC(top, plain);
}

TEST_F(Paint, SetRedrawFalseStopsPaintingUntilTurnedOnAgain) {
  HWND w = CreateRecorded("w", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20);
  PumpMessages();
  SendMessageW(w, WM_SETREDRAW, FALSE, 0);
  InvalidateRect(w, nullptr, TRUE);
  MessageLog::Get().Clear();
  PumpMessages();
  EXPECT_TRUE(MessageLog::Get().Lines({WM_PAINT}).empty());
  SendMessageW(w, WM_SETREDRAW, TRUE, 0);
  EXPECT_TRUE(IsWindowVisible(w));
  InvalidateRect(w, nullptr, TRUE);
  PumpMessages();
  EXPECT_EQ(MessageLog::Get().Lines({WM_PAINT}), (Lines{"w:WM_PAINT"}));
}

TEST_F(Paint, LockWindowUpdateHoldsBackDrawingUntilUnlocked) {
  HWND w = CreateRecorded("w", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40);
  HWND child = CreateRecorded("child", WS_CHILD | WS_VISIBLE, 20, 20, 10, 10, w);
  HWND other = CreateRecorded("other", WS_POPUP | WS_VISIBLE, 50, 0, 20, 20);
  PumpMessages();
  auto fill = [](HWND h, COLORREF c, DWORD flags) {
    HDC dc = GetDCEx(h, nullptr, flags);
    HBRUSH b = CreateSolidBrush(c);
    RECT all{0, 0, 100, 100};
    FillRect(dc, &all, b);
    DeleteObject(b);
    ReleaseDC(h, dc);
  };
  auto at = [&](int x, int y) { return os::ReadWindowPixels(w).At(x, y); };
  fill(w, RGB(255, 0, 0), DCX_CACHE);
  EXPECT_EQ(at(5, 5), 0xFFFF0000u);
  ASSERT_TRUE(LockWindowUpdate(w));
  EXPECT_FALSE(LockWindowUpdate(other)) << "one window at a time";
  // The window and its children draw nowhere, except through DCX_LOCKWINDOWUPDATE.
  fill(w, RGB(0, 0, 255), DCX_CACHE);
  fill(child, RGB(0, 0, 255), DCX_CACHE);
  EXPECT_EQ(at(5, 5), 0xFFFF0000u);
  EXPECT_EQ(at(25, 25), 0xFFFF0000u);
  fill(w, RGB(0, 255, 0), DCX_CACHE | DCX_LOCKWINDOWUPDATE);
  EXPECT_EQ(at(5, 5), 0xFF00FF00u);
  // Other windows draw as usual.
  fill(other, RGB(0, 0, 255), DCX_CACHE);
  EXPECT_EQ(os::ReadWindowPixels(other).At(5, 5), 0xFF0000FFu);
  // Unlocking repaints what was held back.
  MessageLog::Get().Clear();
  ASSERT_TRUE(LockWindowUpdate(nullptr));
  PumpMessages();
  EXPECT_EQ(MessageLog::Get().Lines({WM_PAINT}), (std::vector<std::string>{"w:WM_PAINT", "child:WM_PAINT"}));
  EXPECT_EQ(at(5, 5), 0xFFFFFFFFu);
  EXPECT_TRUE(LockWindowUpdate(other));
  EXPECT_TRUE(LockWindowUpdate(nullptr));
}

}  // namespace
}  // namespace qd::testing
