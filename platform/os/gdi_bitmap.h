#pragma once
// Bitmap helpers shared by the GDI sources: DIB descriptions and pixel conversion.
#include <memory>
#include <vector>

#include "platform/os/gdi_internal.h"

namespace qd::gdi {

struct DibInfo {
  int32_t width = 0;
  int32_t height = 0;  // always positive
  bool topDown = false;
  int bpp = 0;
  DWORD compression = BI_RGB;
  DWORD masks[3] = {0, 0, 0};
  std::vector<RGBQUAD> colors;
  int64_t stride = 0;
};

int64_t DibStride(int32_t width, int bpp);
std::unique_ptr<Bitmap> NewBitmap(int32_t width, int32_t height, int bpp, bool dib);
// Reads a BITMAPINFO (core, info and V4/V5 headers). DIB_PAL_COLORS uses the DC's palette.
bool ParseDib(const BITMAPINFO* info, UINT usage, const Dc* dc, DibInfo& out);
// A top-down view of `rows` stored rows of DIB bits starting at stored row `firstRow`;
// 16-bit and masked formats are converted into `temp`.
bool DibRows(const DibInfo& di, const void* bits, int32_t firstRow, int32_t rows, std::vector<uint8_t>& temp,
             Pixmap& out);
// Copies pixels between formats through their colours (32 to 32 keeps alpha; other sources give alpha 0).
void ConvertPixels(const Pixmap& src, int32_t sx, int32_t sy, const Pixmap& dst, int32_t dx, int32_t dy,
                   int32_t w, int32_t h);

}  // namespace qd::gdi
