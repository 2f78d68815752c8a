#pragma once
// Helpers for the GDI+ tests: GDI+ started per test, and a premultiplied bitmap over test
// memory with a graphics on it, read back as masks.
#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
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
  // Writes the pixels to <$QD_TEST_PNG_DIR>/<name>.png when that variable is set, so that a
  // picture can be looked at.
  void SavePng(const char* name) const {
    const char* dir = std::getenv("QD_TEST_PNG_DIR");
    if (!dir) return;
    std::vector<uint32_t> rows(px.size());
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) rows[size_t(y) * w + x] = At(x, y);
    cairo_surface_t* s = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(rows.data()),
                                                             CAIRO_FORMAT_ARGB32, w, h, w * 4);
    // Enlarged with whole pixels kept sharp, for the eye.
    const int k = std::max(1, 400 / std::max(w, h));
    cairo_surface_t* big = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w * k, h * k);
    cairo_t* cr = cairo_create(big);
    cairo_set_source_rgb(cr, 0.9, 0.9, 0.8);  // shows transparent pixels
    cairo_paint(cr);
    cairo_scale(cr, k, k);
    cairo_set_source_surface(cr, s, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_write_to_png(big, (std::string(dir) + "/" + name + ".png").c_str());
    cairo_surface_destroy(big);
    cairo_surface_destroy(s);
  }
  // One 8-bit channel of a pixel: 24 alpha, 16 red, 8 green, 0 blue.
  int Channel(int x, int y, int shift) const { return int((At(x, y) >> shift) & 0xFF); }
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
