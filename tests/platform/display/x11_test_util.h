#pragma once
// X11 backend tests: a private Xvfb server per test, a connection of the test's own (the
// "outside world": screenshots, XTest input, what a window manager would send), the backend
// installed, and a window class that records its messages.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/display/x11_backend.h"
#include "platform/os/user.h"
#include "platform/os/user_display.h"
#include "servers/xvfb.h"

#include <X11/Xlib.h>

namespace qd::testing::x11 {

struct Received {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

// What the recording windows received, in order.
std::vector<Received>& Messages();
// The recording class: paints through an optional painter, records every message.
LPCWSTR RecorderClass();
using Painter = std::function<void(HWND, HDC)>;
void SetPainter(HWND hwnd, Painter painter);

class X11Test : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Something the backend does before it is made (an X resource to read at start-up).
  virtual void BeforeBackend() {}

  // Runs the message loop (real clock) until `done` holds or `timeoutMs` passed.
  bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);
  // Pumps until the X server has seen everything the backend sent after the queue went idle.
  void Settle();
  HWND CreateShown(DWORD style, DWORD exStyle, RECT rect, HWND owner = nullptr, const Char* title = u"Test");
  ::Window XOf(HWND hwnd) const { return backend_->XWindowOf(hwnd); }
  // The X window's pixels as the X server has them (0x00RRGGBB).
  std::vector<uint32_t> Screenshot(::Window w, int width, int height);
  // Where the X window is on the screen.
  RECT XRect(::Window w);
  bool HasMessage(HWND hwnd, UINT msg) const;
  // Makes the server look as if an EWMH window manager ran (or no longer runs).
  void PretendWindowManager(bool running);

  XvfbServer server_;
  ::Display* dpy_ = nullptr;  // the test's own connection
  ::Window wmCheck_ = 0;
  std::unique_ptr<display::X11Backend> backend_;
};

}  // namespace qd::testing::x11
