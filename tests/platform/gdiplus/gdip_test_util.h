#pragma once
// Helpers for the GDI+ tests: GDI+ started per test, and a premultiplied bitmap over test
// memory with a graphics on it, read back as masks.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/gdiplus/gdiplus.h"

namespace qd::gdiplus::test {

constexpr uint32_t kSentinel = 0xA5FF00FF;

class GdipTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GdiplusStartupInput in;
    ASSERT_EQ(GdiplusStartup(&token_, &in, nullptr), Ok);
  }
  void TearDown() override { GdiplusShutdown(token_); }

 private:
  ULONG_PTR token_ = 0;
};

// A 32bppPARGB bitmap over our own pixels, prefilled, with a graphics.
struct Canvas {
  int w, h;
  bool bottomUp;
  std::vector<uint32_t> px;
  GpBitmap* bitmap = nullptr;
  GpGraphics* g = nullptr;
  // Bottom-up: rows stored last to first, with a negative stride.
  Canvas(int width, int height, uint32_t fill = 0, bool bottomUp = false)
      : w(width), h(height), bottomUp(bottomUp), px(size_t(width) * height, fill) {
    BYTE* scan0 = reinterpret_cast<BYTE*>(px.data() + (bottomUp ? size_t(h - 1) * w : 0));
    EXPECT_EQ(
        GdipCreateBitmapFromScan0(w, h, bottomUp ? -w * 4 : w * 4, PixelFormat32bppPARGB, scan0, &bitmap),
        Ok);
    EXPECT_EQ(GdipGetImageGraphicsContext(bitmap, &g), Ok);
  }
  ~Canvas() {
    GdipDeleteGraphics(g);
    GdipDisposeImage(bitmap);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  uint32_t At(int x, int y) const { return px[size_t(bottomUp ? h - 1 - y : y) * w + x]; }
  uint32_t Alpha(int x, int y) const { return At(x, y) >> 24; }
  std::string Mask(const std::function<char(uint32_t)>& f) const {
    std::string s;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) s += f(At(x, y));
      s += '\n';
    }
    return s;
  }
  // '#' for an opaque pixel, '+' for a partly covered one, '.' for untouched.
  std::string Mask() const {
    return Mask([](uint32_t v) {
      uint32_t a = v >> 24;
      return a == 255 ? '#' : a == 0 ? '.' : '+';
    });
  }
};

inline std::string Rows(std::initializer_list<const char*> rows) {
  std::string s;
  for (const char* r : rows) {
    s += r;
    s += '\n';
  }
  return s;
}

// Owning handles for brevity in tests.
struct Brush {
  GpSolidFill* b = nullptr;
  explicit Brush(ARGB c) { GdipCreateSolidFill(c, &b); }
  ~Brush() { GdipDeleteBrush(b); }
  operator GpBrush*() const { return b; }
};
struct Pen {
  GpPen* p = nullptr;
  explicit Pen(ARGB c, REAL width = 1, Unit unit = UnitPixel) { GdipCreatePen1(c, width, unit, &p); }
  ~Pen() { GdipDeletePen(p); }
  operator GpPen*() const { return p; }
};

}  // namespace qd::gdiplus::test
