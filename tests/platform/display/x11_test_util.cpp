#include "x11_test_util.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <unordered_map>

#include "platform/os/gdi.h"
#include "platform/os/kernel.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace qd::testing::x11 {
namespace {

std::unordered_map<HWND, Painter>& Painters() {
  static std::unordered_map<HWND, Painter> m;
  return m;
}

LRESULT RecorderProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Messages().push_back({hwnd, msg, wParam, lParam});
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    auto it = Painters().find(hwnd);
    if (it != Painters().end()) it->second(hwnd, dc);
    EndPaint(hwnd, &ps);
    return 0;
  }
  if (msg == WM_NCDESTROY) Painters().erase(hwnd);
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

std::vector<Received>& Messages() {
  static std::vector<Received> m;
  return m;
}

LPCWSTR RecorderClass() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &RecorderProc;
    wc.lpszClassName = u"QdX11Recorder";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassExW(&wc);
    registered = true;
  }
  return u"QdX11Recorder";
}

void SetPainter(HWND hwnd, Painter painter) {
  Painters()[hwnd] = std::move(painter);
}

void X11Test::SetUp() {
  if (!XvfbServer::Installed()) GTEST_SKIP() << "Xvfb is not installed";
  std::string error;
  ASSERT_TRUE(server_.Start(error)) << error;
  setenv("DISPLAY", server_.Display().c_str(), 1);
  XInitThreads();
  dpy_ = XOpenDisplay(server_.Display().c_str());
  ASSERT_NE(dpy_, nullptr);
  BeforeBackend();
  backend_ = display::CreateX11Backend(server_.Display().c_str());
  ASSERT_NE(backend_, nullptr);
  os::SetDisplayBackend(backend_.get());
  Messages().clear();
}

void X11Test::TearDown() {
  os::ResetWindowManagerForTesting();
  os::SetDisplayBackend(nullptr);
  backend_.reset();
  if (dpy_) XCloseDisplay(dpy_);
  dpy_ = nullptr;
  server_.Stop();
  unsetenv("DISPLAY");
  Messages().clear();
}

bool X11Test::PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    if (done()) return true;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now())
            .count();
    if (left <= 0) return false;
    // X events that post nothing (exposure, moves) end the wait only at the slice's end.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<long long>(left, 10)),
                              QS_ALLINPUT);
  }
}

void X11Test::Settle() {
  for (int round = 0; round < 3; ++round) {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    os::FlushDisplay();
    backend_->Sync();
    XSync(dpy_, False);
    // A short wait lets the backend take in what the X server sent meanwhile.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  backend_->Sync();
}

HWND X11Test::CreateShown(DWORD style, DWORD exStyle, RECT r, HWND owner, const Char* title) {
  HWND h = CreateWindowExW(exStyle, RecorderClass(), title, style, r.Left, r.Top, r.Width(), r.Height(),
                           owner, nullptr, nullptr, nullptr);
  if (!h) return nullptr;
  ShowWindow(h, SW_SHOWNORMAL);
  UpdateWindow(h);
  Settle();
  return h;
}

std::vector<uint32_t> X11Test::Screenshot(::Window w, int width, int height) {
  std::vector<uint32_t> out;
  XImage* image = XGetImage(dpy_, w, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                            AllPlanes, ZPixmap);
  if (!image) return out;
  out.reserve(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) out.push_back(static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF);
  XDestroyImage(image);
  return out;
}

RECT X11Test::XRect(::Window w) {
  ::Window root = 0, child = 0;
  int x = 0, y = 0;
  unsigned width = 0, height = 0, border = 0, depth = 0;
  XGetGeometry(dpy_, w, &root, &x, &y, &width, &height, &border, &depth);
  XTranslateCoordinates(dpy_, w, root, 0, 0, &x, &y, &child);
  return RECT{x, y, x + static_cast<int>(width), y + static_cast<int>(height)};
}

void X11Test::PretendWindowManager(bool running) {
  const Atom check = XInternAtom(dpy_, "_NET_SUPPORTING_WM_CHECK", False);
  const ::Window root = DefaultRootWindow(dpy_);
  if (running && !wmCheck_) {
    wmCheck_ = XCreateSimpleWindow(dpy_, root, -10, -10, 1, 1, 0, 0, 0);
    XChangeProperty(dpy_, wmCheck_, check, XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&wmCheck_), 1);
    XChangeProperty(dpy_, root, check, XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&wmCheck_), 1);
  } else if (!running && wmCheck_) {
    XDeleteProperty(dpy_, root, check);
    XDestroyWindow(dpy_, wmCheck_);
    wmCheck_ = 0;
  }
  XSync(dpy_, False);
}

bool X11Test::HasMessage(HWND hwnd, UINT msg) const {
  for (const Received& r : Messages())
    if (r.hwnd == hwnd && r.msg == msg) return true;
  return false;
}

}  // namespace qd::testing::x11
