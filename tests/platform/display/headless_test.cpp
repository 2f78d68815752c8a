// Backend choice, the headless backend, injected input helpers, PNG pictures, message boxes.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>

#include "platform/display/display.h"
#include "platform/display/headless.h"
#include "platform/display/input.h"
#include "platform/display/png.h"

namespace qd::display {
namespace {

TEST(DisplayChoice, EnvironmentDecides) {
  struct Case {
    const char* qdPlatform;
    const char* display;
    BackendKind kind;
  } cases[] = {{nullptr, nullptr, BackendKind::Headless},
               {nullptr, ":0", BackendKind::X11},
               {"headless", ":0", BackendKind::Headless},
               {"x11", nullptr, BackendKind::X11},
               {"X11", "", BackendKind::X11},
               {"", "", BackendKind::Headless},
               {"other", ":1", BackendKind::Headless}};
  for (auto& c : cases)
    EXPECT_EQ(ChooseBackend(c.qdPlatform, c.display), c.kind)
        << (c.qdPlatform ? c.qdPlatform : "-") << " " << (c.display ? c.display : "-");
}

LRESULT TestProc(HWND h, UINT m, WPARAM w, LPARAM l);
std::vector<std::pair<UINT, WPARAM>> g_seen;

LRESULT TestProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_CHAR || m == WM_LBUTTONDOWN || m == WM_LBUTTONUP || m == WM_LBUTTONDBLCLK)
    g_seen.push_back({m, w});
  if (m == WM_LBUTTONDOWN || m == WM_LBUTTONUP) g_seen.back().second = static_cast<WPARAM>(l);
  return DefWindowProcW(h, m, w, l);
}

class Headless : public ::testing::Test {
 protected:
  void SetUp() override {
    os::SetDisplayBackend(&backend_);
    static bool registered = false;
    if (!registered) {
      WNDCLASSEXW wc;
      wc.style = CS_DBLCLKS;
      wc.lpfnWndProc = &TestProc;
      wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_WINDOW + 1));
      wc.lpszClassName = u"QdHeadlessTest";
      RegisterClassExW(&wc);
      registered = true;
    }
    g_seen.clear();
  }
  void TearDown() override {
    os::ResetWindowManagerForTesting();
    os::SetDisplayBackend(nullptr);
  }
  HWND Make(DWORD style, int x, int y, int w, int h, LPCWSTR title = u"") {
    return CreateWindowExW(0, u"QdHeadlessTest", title, style, x, y, w, h, nullptr, nullptr, nullptr,
                           nullptr);
  }
  HeadlessBackend backend_;
};

TEST_F(Headless, MirrorsTopLevelWindowsOnly) {
  HWND w = Make(WS_POPUP, 10, 20, 100, 50, u"First");
  HWND child = CreateWindowExW(0, u"QdHeadlessTest", u"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, w, nullptr,
                               nullptr, nullptr);
  ASSERT_TRUE(child);
  HeadlessBackend::WindowState s;
  ASSERT_TRUE(backend_.Find(w, s));
  EXPECT_FALSE(s.visible);
  EXPECT_EQ(s.title, u"First");
  EXPECT_EQ(s.rect, (RECT{10, 20, 110, 70}));
  EXPECT_FALSE(backend_.Find(child, s));
  ShowWindow(w, SW_SHOW);
  SetWindowTextW(w, u"Second");
  MoveWindow(w, 30, 40, 200, 60, TRUE);
  ProcessMessages();
  os::FlushDisplay();
  ASSERT_TRUE(backend_.Find(w, s));
  EXPECT_TRUE(s.visible);
  EXPECT_EQ(s.title, u"Second");
  EXPECT_EQ(s.rect, (RECT{30, 40, 230, 100}));
  EXPECT_GE(s.presents, 1);
  EXPECT_EQ(backend_.Windows(true), std::vector<HWND>{w});
  // Painting more presents just the changed part.
  const int before = s.presents;
  RECT part{5, 5, 15, 15};
  InvalidateRect(w, &part, TRUE);
  ProcessMessages();
  os::FlushDisplay();
  ASSERT_TRUE(backend_.Find(w, s));
  EXPECT_EQ(s.presents, before + 1);
  EXPECT_EQ(s.lastDirty, part);
  DestroyWindow(w);
  EXPECT_FALSE(backend_.Find(w, s));
}

TEST_F(Headless, InjectedInputReachesWindowsThroughTheQueue) {
  HWND w = Make(WS_POPUP | WS_VISIBLE, 100, 100, 200, 100);
  ProcessMessages();
  Click(w, {20, 30});
  TypeText(u"Hi!\r€");
  ProcessMessages();
  std::vector<std::pair<UINT, WPARAM>> want = {{WM_LBUTTONDOWN, static_cast<WPARAM>(MAKELPARAM(20, 30))},
                                               {WM_LBUTTONUP, static_cast<WPARAM>(MAKELPARAM(20, 30))},
                                               {WM_CHAR, u'H'},
                                               {WM_CHAR, u'i'},
                                               {WM_CHAR, u'!'},
                                               {WM_CHAR, u'\r'},
                                               {WM_CHAR, u'€'}};
  EXPECT_EQ(g_seen, want);
  EXPECT_EQ(GetFocus(), w);
  g_seen.clear();
  DoubleClick(w, {5, 5});
  ProcessMessages();
  ASSERT_EQ(g_seen.size(), 4u);
  EXPECT_EQ(g_seen[2].first, WM_LBUTTONDBLCLK);
}

TEST_F(Headless, WritesAWindowAsPng) {
  HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 8, 6);
  ProcessMessages();
  HDC dc = GetDC(w);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT r{0, 0, 4, 6};
  FillRect(dc, &r, red);
  DeleteObject(red);
  ReleaseDC(w, dc);
  const std::string path = (std::filesystem::temp_directory_path() / "qd_headless_test.png").string();
  ASSERT_TRUE(WriteWindowPng(w, path));
  // Read it back.
  FILE* f = std::fopen(path.c_str(), "rb");
  ASSERT_TRUE(f);
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, f);
  png_read_info(png, info);
  EXPECT_EQ(png_get_image_width(png, info), 8u);
  EXPECT_EQ(png_get_image_height(png, info), 6u);
  std::vector<uint8_t> row(8 * 4);
  png_read_row(png, row.data(), nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(f);
  std::filesystem::remove(path);
  EXPECT_EQ((std::vector<uint8_t>(row.begin(), row.begin() + 4)), (std::vector<uint8_t>{255, 0, 0, 255}));
  EXPECT_EQ((std::vector<uint8_t>(row.begin() + 16, row.begin() + 20)),
            (std::vector<uint8_t>{255, 255, 255, 255}));
}

TEST(DisplayInit, InitializeInstallsTheChosenBackendOnce) {
  // The tests run with QD_PLATFORM=headless.
  if (ChooseBackend() != BackendKind::Headless) GTEST_SKIP() << "not headless";
  Initialize();
  IDisplayBackend* b = Current();
  ASSERT_TRUE(b);
  EXPECT_STREQ(b->Name(), "headless");
  EXPECT_EQ(os::GetDisplayBackend(), b);
  Initialize();
  EXPECT_EQ(Current(), b);
  Finalize();
  EXPECT_EQ(os::GetDisplayBackend(), nullptr);
  EXPECT_EQ(Current(), nullptr);
}

}  // namespace
}  // namespace qd::display
