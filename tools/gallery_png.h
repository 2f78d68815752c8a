#pragma once
// The galleries' sheet: cells laid out in a grid on a light grey 32-bit bitmap, written as an
// opaque PNG with each pixel enlarged to AZoom x AZoom.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

#include "platform/forms/graphics.h"
#include "platform/gdiplus/codec_io.h"
#include "ui/graphics/cxGraphicsCanvas.h"

namespace qd::tools {

// Sizes APicture to hold ACells (anything with a `draw(canvas, rect)` member) in AColumns
// columns of ACellW x ACellH and draws each clipped to its cell; AAfter(canvas, index, rect)
// then draws over the cell unclipped (captions, frames).
template <class TCells>
void DrawGalleryGrid(TBitmap& APicture, const TCells& ACells, int AColumns, int ACellW, int ACellH,
                     const std::function<void(TcxCanvas&, size_t, const TRect&)>& AAfter) {
  const int rows = (static_cast<int>(ACells.size()) + AColumns - 1) / AColumns;
  APicture.SetPixelFormat(pf32bit);
  APicture.SetSize(AColumns * ACellW, rows * ACellH);
  TcxCanvas canvas(APicture.Canvas());
  canvas.FillRect(TRect{0, 0, APicture.Width(), APicture.Height()}, static_cast<TColor>(0xE0E0E0));
  for (size_t i = 0; i < ACells.size(); ++i) {
    const TRect r = Bounds(static_cast<int>(i % AColumns) * ACellW, static_cast<int>(i / AColumns) * ACellH,
                           ACellW, ACellH);
    canvas.SaveState();
    canvas.IntersectClipRect(r);
    ACells[i].draw(canvas, r);
    canvas.RestoreState();
    AAfter(canvas, i, r);
  }
}

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
