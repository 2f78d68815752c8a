#pragma once
// Writes a 32-bit bitmap as an opaque PNG, each pixel enlarged to AZoom x AZoom: the
// galleries' output.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/forms/graphics.h"
#include "platform/gdiplus/codec_io.h"

namespace qd::tools {

inline bool SaveGalleryPng(TBitmap& APicture, int AZoom, const char* APath) {
  const int w = APicture.Width() * AZoom, h = APicture.Height() * AZoom;
  std::vector<uint32_t> px(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    const auto* row = static_cast<const uint32_t*>(APicture.ScanLine(y / AZoom));
    for (int x = 0; x < w; ++x) px[static_cast<size_t>(y) * w + x] = 0xFF000000u | row[x / AZoom];
  }
  std::vector<uint8_t> png;
  if (codecs::Encode(codecs::MakeImage(w, h, std::move(px)), codecs::ImageFormat::PNG, png) !=
      codecs::Status::Ok)
    return false;
  FILE* f = std::fopen(APath, "wb");
  if (!f) return false;
  const bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace qd::tools
