#pragma once
// Test helpers for GDI pixel tests: a 32-bit top-down DIB section in a memory DC, prefilled
// with a sentinel, read back as masks; PNG dumps into the build folder for looking by eye.
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/os/gdi.h"

namespace qd::testing {

constexpr uint32_t kSentinel = 0xA5FF00FF;  // magenta with a recognisable alpha

inline BITMAPINFO Info32(int w, int h, bool topDown = true) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = topDown ? -h : h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

struct TestDib {
  HDC dc = nullptr;
  HBITMAP bm = nullptr;
  HGDIOBJ old = nullptr;
  uint32_t* bits = nullptr;
  int w = 0, h = 0;
  TestDib(int width, int height, uint32_t fill = kSentinel) : w(width), h(height) {
    dc = CreateCompatibleDC(nullptr);
    BITMAPINFO bi = Info32(w, h);
    void* p = nullptr;
    bm = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    bits = static_cast<uint32_t*>(p);
    old = SelectObject(dc, bm);
    Fill(fill);
  }
  ~TestDib() {
    SelectObject(dc, old);
    DeleteObject(bm);
    DeleteDC(dc);
  }
  TestDib(const TestDib&) = delete;
  TestDib& operator=(const TestDib&) = delete;
  void Fill(uint32_t v) {
    for (int i = 0; i < w * h; ++i) bits[i] = v;
  }
  uint32_t At(int x, int y) const { return bits[y * w + x]; }
  uint32_t Rgb(int x, int y) const { return bits[y * w + x] & 0xFFFFFF; }
  // One character per pixel, rows separated by '\n'.
  std::string Mask(const std::function<char(uint32_t)>& f) const {
    std::string s;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) s += f(At(x, y));
      s += '\n';
    }
    return s;
  }
  // '.' for the sentinel, '#' for anything drawn.
  std::string Mask() const {
    return Mask([](uint32_t v) { return v == kSentinel ? '.' : '#'; });
  }
  // '#' where the colour (RGB) is `color`, '.' elsewhere.
  std::string MaskOf(COLORREF color) const {
    uint32_t want = ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
    return Mask([want](uint32_t v) { return (v & 0xFFFFFF) == want ? '#' : '.'; });
  }
  void SavePng(const std::string& name) const;
};

inline HFONT MakeFont(const char16_t* face, int height, int weight = FW_NORMAL,
                      BYTE quality = DEFAULT_QUALITY, int escapement = 0, bool underline = false) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfQuality = quality;
  lf.lfEscapement = escapement;
  lf.lfUnderline = underline ? 1 : 0;
  for (int i = 0; face[i]; ++i) lf.lfFaceName[i] = face[i];
  return CreateFontIndirectW(&lf);
}

struct FontScope {
  HDC dc;
  HFONT font;
  HGDIOBJ old;
  FontScope(HDC d, HFONT f) : dc(d), font(f) { old = SelectObject(dc, f); }
  ~FontScope() {
    SelectObject(dc, old);
    DeleteObject(font);
  }
};

// Extents of all pixels that differ from the sentinel.
inline RECT Ink(const TestDib& t) {
  RECT r{t.w, t.h, 0, 0};
  for (int y = 0; y < t.h; ++y)
    for (int x = 0; x < t.w; ++x)
      if (t.At(x, y) != kSentinel) {
        r.Left = std::min(r.Left, x);
        r.Top = std::min(r.Top, y);
        r.Right = std::max(r.Right, x + 1);
        r.Bottom = std::max(r.Bottom, y + 1);
      }
  return r;
}

inline std::string Rows(std::initializer_list<const char*> rows) {
  std::string s;
  for (const char* r : rows) {
    s += r;
    s += '\n';
  }
  return s;
}

inline void TestDib::SavePng(const std::string& name) const {
  std::string path = std::string(QD_BINARY_DIR) + "/" + name + ".png";
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<uint8_t> row(static_cast<size_t>(w) * 3);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint32_t v = At(x, y);
      row[x * 3] = static_cast<uint8_t>(v >> 16);
      row[x * 3 + 1] = static_cast<uint8_t>(v >> 8);
      row[x * 3 + 2] = static_cast<uint8_t>(v);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
}

}  // namespace qd::testing
