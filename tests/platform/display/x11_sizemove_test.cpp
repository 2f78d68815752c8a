// Moves and sizes of the X frame while a mouse button is held (the user dragging it through the
// X window manager) are a move or size loop of ours.
#include <vector>

#include "x11_test_util.h"

#include <X11/extensions/XTest.h>

namespace qd::testing::x11 {
namespace {

WNDPROC gRecorderProc = nullptr;

// The window keeps its left side on a multiple of 100 pixels while it is dragged.
LRESULT SnappingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_MOVING) {
    auto* r = reinterpret_cast<RECT*>(lParam);
    const int left = (r->Left + 50) / 100 * 100;
    r->Right += left - r->Left;
    r->Left = left;
  }
  return CallWindowProcW(gRecorderProc, hwnd, msg, wParam, lParam);
}

std::vector<UINT> LoopMessages(HWND h) {
  std::vector<UINT> out;
  for (const Received& r : Messages())
    if (r.hwnd == h &&
        (r.msg == WM_ENTERSIZEMOVE || r.msg == WM_MOVING || r.msg == WM_SIZING || r.msg == WM_EXITSIZEMOVE))
      out.push_back(r.msg);
  return out;
}

TEST_F(X11Test, DraggingTheXFrameIsAMoveAndSizeLoop) {
  PretendWindowManager(true);
  HWND h = CreateShown(WS_OVERLAPPEDWINDOW, 0, RECT{100, 100, 500, 400});
  ASSERT_NE(h, nullptr);
  gRecorderProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SnappingProc)));
  const RECT view = backend_->ViewOf(h);
  const ::Window xw = XOf(h);
  Messages().clear();
  // The user holds the button on the frame (outside our X window, which is the client area).
  XTestFakeMotionEvent(dpy_, DefaultScreen(dpy_), 1200, 1000, CurrentTime);
  XTestFakeButtonEvent(dpy_, 1, True, CurrentTime);
  XSync(dpy_, False);
  auto windowRect = [&] {
    RECT r;
    GetWindowRect(h, &r);
    return r;
  };
  const int width = windowRect().Width();
  // The window manager follows the mouse: two moves, then a resize at the bottom right.
  XMoveWindow(dpy_, xw, 330 + view.Left, 250 + view.Top);
  XSync(dpy_, False);
  ASSERT_TRUE(PumpUntil([&] { return windowRect().Top == 250; }));
  EXPECT_EQ(windowRect().Left, 300) << "the window's correction holds";
  Settle();
  EXPECT_EQ(XRect(xw).Left, 300 + view.Left) << "and the X window follows it";
  XMoveWindow(dpy_, xw, 390 + view.Left, 260 + view.Top);
  XSync(dpy_, False);
  ASSERT_TRUE(PumpUntil([&] { return windowRect().Top == 260; }));
  EXPECT_EQ(windowRect().Left, 400);
  const RECT x = XRect(xw);
  XResizeWindow(dpy_, xw, static_cast<unsigned>(x.Width() + 40), static_cast<unsigned>(x.Height() + 30));
  XSync(dpy_, False);
  ASSERT_TRUE(PumpUntil([&] { return windowRect().Width() == width + 40; }));
  EXPECT_FALSE(HasMessage(h, WM_EXITSIZEMOVE)) << "the button is still down";
  XTestFakeButtonEvent(dpy_, 1, False, CurrentTime);
  XSync(dpy_, False);
  ASSERT_TRUE(PumpUntil([&] { return HasMessage(h, WM_EXITSIZEMOVE); }));
  EXPECT_EQ(LoopMessages(h),
            (std::vector<UINT>{WM_ENTERSIZEMOVE, WM_MOVING, WM_MOVING, WM_SIZING, WM_EXITSIZEMOVE}));
  for (const Received& r : Messages()) {
    if (r.hwnd == h && r.msg == WM_SIZING) {
      EXPECT_EQ(r.wParam, WMSZ_BOTTOMRIGHT);
    }
  }

  // Without a button held, a move by the window manager is no loop.
  Messages().clear();
  XMoveWindow(dpy_, xw, 200 + view.Left, 150 + view.Top);
  XSync(dpy_, False);
  ASSERT_TRUE(PumpUntil([&] { return windowRect().Top == 150; }));
  EXPECT_TRUE(LoopMessages(h).empty());
  EXPECT_EQ(windowRect().Left, 200);
  DestroyWindow(h);
}

}  // namespace
}  // namespace qd::testing::x11
