#pragma once
// Helpers for the visual-styles tests: handles that close themselves, a fixture that resets
// the theme's switches, and pixel checks on premultiplied 32-bit bitmaps.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gdi_test_util.h"
#include "platform/base/strings.h"
#include "platform/os/user_display.h"
#include "platform/os/uxtheme.h"
#include "platform/os/uxtheme_testing.h"

namespace qd::testing {

// A theme handle that is closed when it goes out of scope.
class Theme {
 public:
  explicit Theme(const char16_t* classList, HWND hwnd = nullptr, UINT dpi = 0)
      : h_(dpi ? OpenThemeDataForDpi(hwnd, classList, dpi) : OpenThemeData(hwnd, classList)) {}
  ~Theme() {
    if (h_) CloseThemeData(h_);
  }
  Theme(const Theme&) = delete;
  Theme& operator=(const Theme&) = delete;
  HTHEME get() const { return h_; }
  operator HTHEME() const { return h_; }

 private:
  HTHEME h_;
};

class ThemeFixture : public ::testing::Test {
 protected:
  void SetUp() override { os::ResetThemeForTesting(); }
  void TearDown() override {
    os::ResetThemeForTesting();
    os::ResetSystemSettings();
  }
};

inline bool PremultipliedOk(uint32_t v) {
  uint32_t a = v >> 24;
  return ((v >> 16) & 0xFF) <= a && ((v >> 8) & 0xFF) <= a && (v & 0xFF) <= a;
}

inline uint32_t Argb(COLORREF c, uint32_t alpha = 255) {
  return (alpha << 24) | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// The smallest rectangle holding every pixel that differs from `background`.
inline RECT ChangedBounds(const TestDib& d, uint32_t background) {
  RECT r{d.w, d.h, 0, 0};
  for (int y = 0; y < d.h; ++y)
    for (int x = 0; x < d.w; ++x)
      if (d.At(x, y) != background) {
        r.Left = std::min(r.Left, x);
        r.Top = std::min(r.Top, y);
        r.Right = std::max(r.Right, x + 1);
        r.Bottom = std::max(r.Bottom, y + 1);
      }
  if (r.Right <= r.Left) r = RECT{};
  return r;
}

inline std::string Narrow(const String& s) {
  return StringToUtf8(s);
}

}  // namespace qd::testing
