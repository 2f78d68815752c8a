#pragma once
// A top-down 32-bit DIB section selected into its own memory DC, for the drawing benchmarks.
#include <cstdint>

#include "platform/os/gdi.h"

namespace qd::bench {

struct BenchDib {
  HDC dc = nullptr;
  HBITMAP bm = nullptr;
  HGDIOBJ old = nullptr;
  uint32_t* bits = nullptr;
  BenchDib(int AWidth, int AHeight) {
    dc = CreateCompatibleDC(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = AWidth;
    bi.bmiHeader.biHeight = -AHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* p = nullptr;
    bm = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    bits = static_cast<uint32_t*>(p);
    old = SelectObject(dc, bm);
  }
  BenchDib(const BenchDib&) = delete;
  BenchDib& operator=(const BenchDib&) = delete;
  ~BenchDib() {
    SelectObject(dc, old);
    DeleteObject(bm);
    DeleteDC(dc);
  }
};

}  // namespace qd::bench
