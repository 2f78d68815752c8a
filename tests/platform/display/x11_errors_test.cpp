// X errors and the loss of the X connection, against a real X server (Xvfb).
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/display/display.h"
#include "platform/display/x11_errors.h"
#include "servers/test_files.h"
#include "x11_test_util.h"

#include <X11/Xatom.h>

namespace qd::testing::x11 {
namespace {

using display::XErrorTrap;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) out.push_back(line);
  return out;
}

size_t CountContaining(const std::vector<std::string>& lines, const std::string& part) {
  size_t n = 0;
  for (const std::string& l : lines)
    if (l.find(part) != std::string::npos) ++n;
  return n;
}

bool ReadProperty(::Display* d, ::Window w) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const int status = XGetWindowProperty(d, w, XA_WM_NAME, 0, 1, False, AnyPropertyType, &type, &format,
                                        &count, &after, &data);
  if (data) XFree(data);
  return status == Success;
}

// The error rules on a watched connection of the test's own: its requests are plain Xlib
// calls, so each rule is met on purpose.
TEST_F(X11Test, ErrorsAreReportedOncePerKindIgnoredOnDestroyedWindowsAndTrapped) {
  ::Display* d = XOpenDisplay(server_.Display().c_str());
  ASSERT_NE(d, nullptr);
  display::WatchXConnection(d, nullptr, nullptr);
  const ::Window root = DefaultRootWindow(d);
  const ::Window live = XCreateSimpleWindow(d, root, 0, 0, 10, 10, 0, 0, 0);
  const ::Window gone = XCreateSimpleWindow(d, root, 0, 0, 10, 10, 0, 0, 0);
  XDestroyWindow(d, gone);
  display::NoteXWindowDestroyed(d, gone);
  XSync(d, False);
  // Never a window: past every id this connection has made.
  const ::Window bogus = live + 0x1000;

  ::testing::internal::CaptureStderr();
  // A request that crossed the destruction of our own window: expected, not reported.
  XMapWindow(d, gone);
  // Anything else: one line per kind, however often it happens.
  XMapWindow(d, bogus);
  XMapWindow(d, bogus);
  XUnmapWindow(d, bogus);
  XUnmapWindow(d, bogus);
  XSync(d, False);

  // Requests expected to fail: the trap tells, and nothing is reported.
  struct Case {
    const char* name;
    bool (*requests)(::Display*, ::Window live, ::Window bogus);
    bool failed;
    int code;
  };
  const Case cases[] = {
      {"a failing request with a reply",
       [](::Display* d, ::Window, ::Window b) { return ReadProperty(d, b); }, true, BadWindow},
      {"a failing request without a reply: the trap waits for the server",
       [](::Display* d, ::Window, ::Window b) {
         XMapWindow(d, b);
         return true;
       },
       true, BadWindow},
      {"requests that succeed", [](::Display* d, ::Window l, ::Window) { return ReadProperty(d, l); }, false,
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    XErrorTrap trap(d);
    c.requests(d, live, bogus);
    EXPECT_EQ(trap.Failed(), c.failed);
    EXPECT_EQ(trap.ErrorCode(), c.code);
  }
  {
    // Traps nest: the innermost one gets the error; after Failed() the trap catches nothing.
    XErrorTrap outer(d);
    {
      XErrorTrap inner(d);
      XMapWindow(d, bogus);
      EXPECT_TRUE(inner.Failed());
      ::Window r = 0;
      int x = 0, y = 0;
      unsigned w = 0, h = 0, border = 0, depth = 0;
      XGetGeometry(d, bogus, &r, &x, &y, &w, &h, &border, &depth);
      EXPECT_EQ(inner.ErrorCode(), BadWindow);
    }
    EXPECT_EQ(outer.ErrorCode(), BadDrawable);
    EXPECT_TRUE(outer.Failed());
  }

  const std::vector<std::string> lines = Lines(::testing::internal::GetCapturedStderr());
  EXPECT_EQ(lines.size(), 2u) << ::testing::PrintToString(lines);
  EXPECT_EQ(CountContaining(lines,
                            "display: X error BadWindow (invalid Window parameter) on request "
                            "X_MapWindow (8.0), resource 0x"),
            1u);
  EXPECT_EQ(CountContaining(lines, "X_UnmapWindow (10.0)"), 1u);
  XDestroyWindow(d, live);
  display::CloseWatchedXConnection(d);
}

// The backend's own requests: a window another client destroyed under us is reported (once),
// the stale window-manager check that the backend reads on purpose is trapped.
TEST_F(X11Test, BackendReportsAForeignDestructionOnceAndTrapsItsExpectedFailures) {
  // A window manager that went away and left its check property on the root window.
  PretendWindowManager(true);
  XDestroyWindow(dpy_, wmCheck_);
  wmCheck_ = 0;
  XSync(dpy_, False);

  ::testing::internal::CaptureStderr();
  HWND h = CreateShown(WS_OVERLAPPEDWINDOW, 0, RECT{100, 100, 400, 300});
  ASSERT_NE(h, nullptr);
  // No window manager runs: our own frame shows, the whole window is the X window.
  RECT window;
  GetWindowRect(h, &window);
  EXPECT_EQ(XRect(XOf(h)), window);

  XDestroyWindow(dpy_, XOf(h));
  XSync(dpy_, False);
  for (int i = 0; i < 3; ++i) {
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h);
    Settle();
  }
  EXPECT_TRUE(DestroyWindow(h));
  backend_->Sync();
  const std::vector<std::string> lines = Lines(::testing::internal::GetCapturedStderr());
  EXPECT_EQ(CountContaining(lines, "X_GetProperty"), 0u) << ::testing::PrintToString(lines);
  EXPECT_EQ(CountContaining(lines,
                            "display: X error BadDrawable (invalid Pixmap or Window parameter) on request "
                            "X_PutImage (72.0)"),
            1u)
      << ::testing::PrintToString(lines);
}

void GiveUp(HWND, UINT, UINT_PTR, DWORD) {
  PostQuitMessage(99);
}

TEST(X11ConnectionLoss, TheMessageLoopQuitsAndTheDisplayUnitShutsDown) {
  if (!XvfbServer::Installed()) GTEST_SKIP() << "Xvfb is not installed";
  if (!display::XConnectionLossSurvivable())
    GTEST_SKIP() << "this Xlib ends the process on a lost connection";
  XvfbServer server;
  std::string error;
  ASSERT_TRUE(server.Start(error)) << error;
  ScopedEnv screen("DISPLAY", server.Display());
  ScopedEnv platform("QD_PLATFORM", "x11");

  display::Initialize();
  auto* x11 = dynamic_cast<display::X11Backend*>(display::Current());
  ASSERT_NE(x11, nullptr);
  HWND h = CreateWindowExW(0, RecorderClass(), u"Lost", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, nullptr,
                           nullptr, nullptr, nullptr);
  ASSERT_NE(h, nullptr);
  ShowWindow(h, SW_SHOWNORMAL);
  UpdateWindow(h);
  x11->Sync();
  ASSERT_NE(x11->XWindowOf(h), 0u);
  Messages().clear();

  ::testing::internal::CaptureStderr();
  server.Stop();
  // The application's loop, with a bound in case the loss went unnoticed.
  SetTimer(nullptr, 0, 10000, &GiveUp);
  MSG m{};
  BOOL got;
  while ((got = GetMessageW(&m, nullptr, 0, 0)) > 0) DispatchMessageW(&m);
  EXPECT_EQ(got, FALSE);
  EXPECT_EQ(m.wParam, 1u) << "the loop did not end on the loss";

  // The shut-down after the loop: windows go, then the display unit, without the X server.
  EXPECT_TRUE(DestroyWindow(h));
  bool destroyed = false;
  for (const Received& r : Messages()) destroyed = destroyed || (r.hwnd == h && r.msg == WM_DESTROY);
  EXPECT_TRUE(destroyed);
  display::Finalize();
  EXPECT_EQ(display::Current(), nullptr);
  const std::vector<std::string> lines = Lines(::testing::internal::GetCapturedStderr());
  ASSERT_EQ(lines.size(), 1u) << ::testing::PrintToString(lines);
  EXPECT_EQ(lines[0], "display: lost the connection to the X server \"" + server.Display() + "\"");
  os::ResetWindowManagerForTesting();
}

}  // namespace
}  // namespace qd::testing::x11
