#pragma once
// The fixture of the GDI+ class tests: GDI+ bound and started, the shared caches and paint
// canvas made, all undone afterwards.
#include <gtest/gtest.h>

#include "tests/graphics/graphics_test_util.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/graphics/dxGDIPlusClasses.h"

namespace qd::testing {

class GdipClassesFixture : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    gdiplus::RegisterModule();
    ASSERT_TRUE(CheckGdiPlus(false));
    dxGDIPlusClasses::Initialize();
    dxGDIPlusCanvas::Initialize();
  }
  void TearDown() override {
    dxGDIPlusCanvas::Finalize();
    dxGDIPlusClasses::Finalize();
    GdiPlusUnload();
    GraphicsTest::TearDown();
  }
};

// A GDI+ bitmap of w x h straight ARGB pixels given row by row.
inline GpBitmap* GdipTestBitmap(int w, int h, const std::vector<uint32_t>& pixels) {
  GpBitmap* b = nullptr;
  GdipCheck(gdiplus::GdipCreateBitmapFromScan0(w, h, 0, gdiplus::PixelFormat32bppARGB, nullptr, &b));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) GdipCheck(gdiplus::GdipBitmapSetPixel(b, x, y, pixels[size_t(y) * w + x]));
  return b;
}

}  // namespace qd::testing
