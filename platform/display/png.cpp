#include "platform/display/png.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace qd::display {

bool WritePixelsPng(const os::WindowPixels& px, const std::string& path) {
  if (px.width <= 0 || px.height <= 0 || px.pixels.size() < static_cast<size_t>(px.width) * px.height)
    return false;
  std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  std::vector<uint8_t> row(static_cast<size_t>(px.width) * 4);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, f.get());
  png_set_IHDR(png, info, static_cast<png_uint_32>(px.width), static_cast<png_uint_32>(px.height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int32_t y = 0; y < px.height; ++y) {
    for (int32_t x = 0; x < px.width; ++x) {
      const uint32_t p = px.At(x, y);
      const uint32_t a = p >> 24;
      auto un = [a](uint32_t c) { return a == 0 ? 0u : std::min(255u, (c * 255 + a / 2) / a); };
      uint8_t* o = &row[static_cast<size_t>(x) * 4];
      o[0] = static_cast<uint8_t>(un((p >> 16) & 0xFF));
      o[1] = static_cast<uint8_t>(un((p >> 8) & 0xFF));
      o[2] = static_cast<uint8_t>(un(p & 0xFF));
      o[3] = static_cast<uint8_t>(a);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fflush(f.get()) == 0;
}

bool WriteWindowPng(HWND topLevel, const std::string& path, bool composed) {
  return WritePixelsPng(os::ReadWindowPixels(topLevel, composed), path);
}

}  // namespace qd::display
