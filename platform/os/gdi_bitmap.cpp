// Bitmaps: device-dependent bitmaps, DIB sections, DIB transfers and single pixels.
#include <algorithm>
#include <cstring>
#include <new>

#include "platform/os/gdi_bitmap.h"
#include "platform/os/gdi_internal.h"
#include "platform/os/gdi_metafile.h"

namespace qd::gdi {

namespace {

constexpr int64_t kMaxBitmapBytes = int64_t(1) << 31;

Format FormatOfBpp(int bpp) {
  switch (bpp) {
    case 1:
      return Format::Mono;
    case 4:
      return Format::Pal4;
    case 8:
      return Format::Pal8;
    case 24:
      return Format::Rgb24;
    default:
      return Format::Bgra32;
  }
}

}  // namespace

int64_t DibStride(int32_t width, int bpp) {
  return ((int64_t(width) * bpp + 31) / 32) * 4;
}

std::unique_ptr<Bitmap> NewBitmap(int32_t width, int32_t height, int bpp, bool dib) {
  if (width <= 0 || height <= 0) return nullptr;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return nullptr;
  int64_t stride = DibStride(width, bpp);
  if (stride * height > kMaxBitmapBytes) return nullptr;
  auto bm = std::make_unique<Bitmap>();
  bm->width = width;
  bm->height = height;
  bm->bpp = bpp;
  bm->format = FormatOfBpp(bpp);
  bm->dib = dib;
  bm->stride = static_cast<ptrdiff_t>(stride);
  bm->storage.reset(new (std::nothrow) uint8_t[static_cast<size_t>(stride * height)]());
  if (!bm->storage) return nullptr;
  return bm;
}

bool ParseDib(const BITMAPINFO* info, UINT usage, const Dc* dc, DibInfo& out) {
  if (!info) return false;
  const auto* raw = reinterpret_cast<const uint8_t*>(info);
  DWORD size;
  std::memcpy(&size, raw, 4);
  const uint8_t* table;
  if (size == sizeof(BITMAPCOREHEADER)) {
    BITMAPCOREHEADER core;
    std::memcpy(&core, raw, sizeof core);
    out.width = core.bcWidth;
    out.height = core.bcHeight;
    out.topDown = false;
    out.bpp = core.bcBitCount;
    out.compression = BI_RGB;
    int n = out.bpp <= 8 ? 1 << out.bpp : 0;
    out.colors.resize(n);
    for (int i = 0; i < n; ++i) {
      const uint8_t* c = raw + size + i * 3;
      out.colors[i] = {c[0], c[1], c[2], 0};
    }
    out.stride = DibStride(out.width, out.bpp);
    return out.width > 0 && out.height > 0;
  }
  if (size < sizeof(BITMAPINFOHEADER)) return false;
  BITMAPINFOHEADER h;
  std::memcpy(&h, raw, sizeof h);
  if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN) return false;
  out.width = h.biWidth;
  out.height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  out.topDown = h.biHeight < 0;
  out.bpp = h.biBitCount;
  out.compression = h.biCompression;
  table = raw + size;
  out.masks[0] = out.masks[1] = out.masks[2] = 0;
  if (h.biCompression == BI_BITFIELDS) {
    const uint8_t* m = size >= 52 ? raw + 40 : table;
    std::memcpy(out.masks, m, 12);
    if (size < 52) table += 12;
  } else if (h.biCompression != BI_RGB) {
    return false;
  }
  if (out.bpp != 1 && out.bpp != 4 && out.bpp != 8 && out.bpp != 16 && out.bpp != 24 && out.bpp != 32)
    return false;
  if (out.compression == BI_BITFIELDS && out.bpp != 16 && out.bpp != 32) return false;
  if (out.bpp <= 8) {
    int n = h.biClrUsed && h.biClrUsed < (1u << out.bpp) ? static_cast<int>(h.biClrUsed) : 1 << out.bpp;
    out.colors.resize(n);
    if (usage == DIB_PAL_COLORS) {
      const Palette* pal = dc ? Find<Palette>(dc->s.palette) : nullptr;
      for (int i = 0; i < n; ++i) {
        WORD idx;
        std::memcpy(&idx, table + i * 2, 2);
        if (pal && idx < pal->entries.size()) {
          const PALETTEENTRY& e = pal->entries[idx];
          out.colors[i] = {e.peBlue, e.peGreen, e.peRed, 0};
        }
      }
    } else {
      std::memcpy(out.colors.data(), table, sizeof(RGBQUAD) * n);
      for (auto& c : out.colors) c.rgbReserved = 0;
    }
  }
  out.stride = DibStride(out.width, out.bpp);
  if (out.stride * out.height > kMaxBitmapBytes) return false;
  return true;
}

namespace {

uint32_t MaskShiftValue(uint32_t v, uint32_t mask) {
  if (!mask) return 0;
  int shift = __builtin_ctz(mask);
  uint32_t bits = 32 - __builtin_clz(mask) - shift;
  uint32_t x = (v & mask) >> shift;
  if (bits >= 8) return x >> (bits - 8);
  uint32_t max = (1u << bits) - 1;
  return (x * 255 + max / 2) / max;
}

}  // namespace

bool DibRows(const DibInfo& di, const void* bits, int32_t firstRow, int32_t rows, std::vector<uint8_t>& temp,
             Pixmap& out) {
  // Rows of the DIB as stored (row 0 = first stored row) become a top-down view of `rows` rows.
  out = Pixmap{};
  out.width = di.width;
  out.height = rows;
  out.colors = di.colors.empty() ? nullptr : di.colors.data();
  out.numColors = static_cast<int>(di.colors.size());
  out.alphaIsData = true;
  auto* base = static_cast<uint8_t*>(const_cast<void*>(bits)) + static_cast<size_t>(firstRow) * di.stride;
  bool standard32 =
      di.bpp == 32 &&
      (di.compression == BI_RGB || (di.masks[0] == 0xFF0000 && di.masks[1] == 0xFF00 && di.masks[2] == 0xFF));
  if (di.bpp != 16 && (di.bpp != 32 || standard32)) {
    out.format = FormatOfBpp(di.bpp);
    out.top = base;
    out.stride = static_cast<ptrdiff_t>(di.stride);
    return true;
  }
  // 16-bit and unusual masks: convert to 32-bit.
  uint32_t m[3] = {di.masks[0], di.masks[1], di.masks[2]};
  if (di.compression == BI_RGB) {  // 16-bit 5-5-5
    m[0] = 0x7C00;
    m[1] = 0x03E0;
    m[2] = 0x001F;
  }
  temp.assign(static_cast<size_t>(di.width) * rows * 4, 0);
  for (int32_t y = 0; y < rows; ++y) {
    const uint8_t* src = base + static_cast<size_t>(y) * di.stride;
    auto* dst = reinterpret_cast<uint32_t*>(temp.data()) + static_cast<size_t>(y) * di.width;
    for (int32_t x = 0; x < di.width; ++x) {
      uint32_t v = 0;
      if (di.bpp == 16) {
        v = src[x * 2] | (src[x * 2 + 1] << 8);
      } else {
        std::memcpy(&v, src + x * 4, 4);
      }
      dst[x] = (MaskShiftValue(v, m[0]) << 16) | (MaskShiftValue(v, m[1]) << 8) | MaskShiftValue(v, m[2]);
    }
  }
  out.format = Format::Bgra32;
  out.top = temp.data();
  out.stride = static_cast<ptrdiff_t>(di.width) * 4;
  out.alphaIsData = false;
  return true;
}

void ConvertPixels(const Pixmap& src, int32_t sx, int32_t sy, const Pixmap& dst, int32_t dx, int32_t dy,
                   int32_t w, int32_t h) {
  bool sameIndexed =
      src.format == dst.format && src.format != Format::Bgra32 && src.format != Format::Rgb24 &&
      src.numColors == dst.numColors &&
      (src.numColors == 0 ||
       std::memcmp(src.colors, dst.colors, sizeof(RGBQUAD) * static_cast<size_t>(src.numColors)) == 0);
  for (int32_t y = 0; y < h; ++y) {
    if (src.format == Format::Bgra32 && dst.format == Format::Bgra32) {
      auto* s = reinterpret_cast<const uint32_t*>(src.Row(sy + y)) + sx;
      auto* d = reinterpret_cast<uint32_t*>(dst.Row(dy + y)) + dx;
      if (src.alphaIsData)
        std::memcpy(d, s, static_cast<size_t>(w) * 4);
      else
        for (int32_t x = 0; x < w; ++x) d[x] = s[x] & 0xFFFFFF;
      continue;
    }
    for (int32_t x = 0; x < w; ++x) {
      uint32_t v = src.Get(sx + x, sy + y);
      if (!sameIndexed) v = NativeFromColor(dst, ColorFromNative(src, v));
      dst.Put(dx + x, dy + y, v);
    }
  }
}

}  // namespace qd::gdi

namespace qd {
using namespace gdi;

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (width < 0 || height < 0) return nullptr;
  if (width == 0 || height == 0) {
    width = height = 1;
    planes = bitsPerPixel = 1;
    bits = nullptr;
  }
  UINT depth = planes * bitsPerPixel;
  int bpp = depth == 1 ? 1 : 32;
  auto bm = NewBitmap(width, height, bpp, false);
  if (!bm) return nullptr;
  if (bits) {
    // Initial bits come in rows aligned to 16 bits, in the given depth.
    int64_t srcStride = ((int64_t(width) * depth + 15) / 16) * 2;
    const auto* src = static_cast<const uint8_t*>(bits);
    for (int32_t y = 0; y < height; ++y) {
      const uint8_t* s = src + y * srcStride;
      uint8_t* d = bm->Bits() + y * bm->stride;
      if (depth == 1 || depth == 32) {
        std::memcpy(d, s, static_cast<size_t>(std::min<int64_t>(srcStride, bm->stride)));
      } else if (depth == 24) {
        for (int x = 0; x < width; ++x) {
          uint32_t v = s[x * 3] | (s[x * 3 + 1] << 8) | (s[x * 3 + 2] << 16);
          std::memcpy(d + x * 4, &v, 4);
        }
      } else if (depth == 16) {
        for (int x = 0; x < width; ++x) {
          uint32_t v = s[x * 2] | (s[x * 2 + 1] << 8);
          uint32_t r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
          uint32_t o = ((r * 255 / 31) << 16) | ((g * 255 / 63) << 8) | (b * 255 / 31);
          std::memcpy(d + x * 4, &o, 4);
        }
      }
    }
  }
  return static_cast<HBITMAP>(AddObject(std::move(bm)));
}

HBITMAP CreateBitmapIndirect(const BITMAP* b) {
  if (!b) return nullptr;
  return CreateBitmap(b->bmWidth, b->bmHeight, b->bmPlanes, b->bmBitsPixel, b->bmBits);
}

HBITMAP CreateCompatibleBitmap(HDC h, int width, int height) {
  Dc* dc = h ? FindDc(h) : nullptr;
  if (h && !dc) return nullptr;
  if (width < 0 || height < 0) return nullptr;
  if (width == 0 || height == 0) return CreateBitmap(1, 1, 1, 1, nullptr);
  Bitmap* sel = dc ? SelectedBitmap(*dc) : nullptr;
  if (sel && sel->format == Format::Mono && !sel->dib) return CreateBitmap(width, height, 1, 1, nullptr);
  if (sel && sel->dib) {
    auto bm = NewBitmap(width, height, sel->bpp, true);
    if (!bm) return nullptr;
    bm->colors = sel->colors;
    bm->compression = sel->compression;
    return static_cast<HBITMAP>(AddObject(std::move(bm)));
  }
  auto bm = NewBitmap(width, height, 32, false);
  if (!bm) return nullptr;
  return static_cast<HBITMAP>(AddObject(std::move(bm)));
}

HBITMAP CreateDIBSection(HDC h, const BITMAPINFO* info, UINT usage, void** bits, HANDLE, DWORD) {
  if (bits) *bits = nullptr;
  DibInfo di;
  if (!ParseDib(info, usage, h ? FindDc(h) : nullptr, di)) return nullptr;
  if (di.bpp == 16) return nullptr;
  if (di.compression == BI_BITFIELDS &&
      !(di.bpp == 32 && di.masks[0] == 0xFF0000 && di.masks[1] == 0xFF00 && di.masks[2] == 0xFF))
    return nullptr;
  auto bm = NewBitmap(di.width, di.height, di.bpp, true);
  if (!bm) return nullptr;
  bm->topDown = di.topDown;
  bm->colors = di.colors;
  bm->compression = di.compression;
  if (bits) *bits = bm->Bits();
  return static_cast<HBITMAP>(AddObject(std::move(bm)));
}

HBITMAP CreateDIBitmap(HDC h, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage) {
  if (!header) return nullptr;
  int32_t w = header->biWidth, ht = header->biHeight < 0 ? -header->biHeight : header->biHeight;
  HBITMAP bm =
      header->biBitCount == 1 ? CreateBitmap(w, ht, 1, 1, nullptr) : CreateCompatibleBitmap(h, w, ht);
  if (!bm) return nullptr;
  if ((init & CBM_INIT) && bits && info) SetDIBits(h, bm, 0, static_cast<UINT>(ht), bits, info, usage);
  return bm;
}

int GetDIBits(HDC h, HBITMAP hbm, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage) {
  Dc* dc = FindDc(h);
  Bitmap* bm = Find<Bitmap>(hbm);
  if (!dc || !bm || !info) return 0;
  BITMAPINFOHEADER& hdr = info->bmiHeader;
  if (hdr.biSize < sizeof(BITMAPINFOHEADER)) return 0;
  if (!bits && hdr.biBitCount == 0) {
    hdr.biWidth = bm->width;
    hdr.biHeight = bm->dib && bm->topDown ? -bm->height : bm->height;
    hdr.biPlanes = 1;
    hdr.biBitCount = static_cast<WORD>(bm->bpp);
    hdr.biCompression = bm->compression == BI_BITFIELDS ? BI_BITFIELDS : BI_RGB;
    hdr.biSizeImage = static_cast<DWORD>(DibStride(bm->width, bm->bpp) * bm->height);
    hdr.biClrUsed = 0;
    if (bm->compression == BI_BITFIELDS) {
      DWORD masks[3] = {0xFF0000, 0xFF00, 0xFF};
      std::memcpy(info->bmiColors, masks, sizeof masks);
    }
    return 1;
  }
  int bpp = hdr.biBitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return 0;
  if (hdr.biCompression != BI_RGB && !(hdr.biCompression == BI_BITFIELDS && bpp == 32)) return 0;
  if (hdr.biWidth != bm->width && hdr.biWidth != 0) {
    if (hdr.biWidth <= 0) return 0;
  }
  hdr.biWidth = bm->width;
  bool topDown = hdr.biHeight < 0;
  int32_t height = bm->height;
  hdr.biHeight = topDown ? -height : height;
  hdr.biSizeImage = static_cast<DWORD>(DibStride(bm->width, bpp) * height);
  Pixmap src = bm->View();
  // The colour table of the output.
  std::vector<RGBQUAD> table;
  if (bpp <= 8) {
    int n = 1 << bpp;
    if (bm->bpp == bpp && !bm->colors.empty()) {
      table = bm->colors;
    } else if (bpp == 1) {
      table = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    } else {
      table.resize(n);
      for (int i = 0; i < n; ++i) {
        if (bpp == 4) {
          static const BYTE k16[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                          {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {128, 128, 128},
                                          {192, 192, 192}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                          {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
          table[i] = {k16[i][2], k16[i][1], k16[i][0], 0};
        } else {
          int r = (i >> 5) & 7, g = (i >> 2) & 7, b = i & 3;
          table[i] = {static_cast<BYTE>(b * 255 / 3), static_cast<BYTE>(g * 255 / 7),
                      static_cast<BYTE>(r * 255 / 7), 0};
        }
      }
    }
    table.resize(n);
    if (usage == DIB_RGB_COLORS) std::memcpy(info->bmiColors, table.data(), sizeof(RGBQUAD) * n);
  } else if (hdr.biCompression == BI_BITFIELDS) {
    DWORD masks[3] = {0xFF0000, 0xFF00, 0xFF};
    std::memcpy(info->bmiColors, masks, sizeof masks);
  }
  if (!bits) return height;
  if (start >= static_cast<UINT>(height)) return 0;
  UINT count = std::min<UINT>(lines, static_cast<UINT>(height) - start);
  Pixmap out;
  out.width = bm->width;
  out.height = static_cast<int32_t>(count);
  out.format = FormatOfBpp(bpp);
  out.colors = table.empty() ? nullptr : table.data();
  out.numColors = static_cast<int>(table.size());
  int64_t stride = DibStride(bm->width, bpp);
  // Output row k (as stored) is image row: top-down start+k; bottom-up height-1-(start+k).
  for (UINT k = 0; k < count; ++k) {
    int32_t imageRow =
        topDown ? static_cast<int32_t>(start + k) : height - 1 - static_cast<int32_t>(start + k);
    out.top = static_cast<uint8_t*>(bits) + k * stride;
    out.stride = static_cast<ptrdiff_t>(stride);
    ConvertPixels(src, 0, imageRow, out, 0, 0, bm->width, 1);
  }
  return static_cast<int>(count);
}

int SetDIBits(HDC h, HBITMAP hbm, UINT start, UINT lines, const void* bits, const BITMAPINFO* info,
              UINT usage) {
  Dc* dc = h ? FindDc(h) : nullptr;
  Bitmap* bm = Find<Bitmap>(hbm);
  if (!bm || !bits) return 0;
  DibInfo di;
  if (!ParseDib(info, usage, dc, di)) return 0;
  if (start >= static_cast<UINT>(di.height)) return 0;
  UINT count = std::min<UINT>(lines, static_cast<UINT>(di.height) - start);
  std::vector<uint8_t> temp;
  Pixmap src;
  if (!DibRows(di, bits, 0, static_cast<int32_t>(count), temp, src)) return 0;
  Pixmap dst = bm->View();
  int32_t w = std::min(di.width, bm->width);
  for (UINT k = 0; k < count; ++k) {
    int32_t imageRow =
        di.topDown ? static_cast<int32_t>(start + k) : di.height - 1 - static_cast<int32_t>(start + k);
    if (imageRow < 0 || imageRow >= bm->height) continue;
    ConvertPixels(src, 0, static_cast<int32_t>(k), dst, 0, imageRow, w, 1);
  }
  return static_cast<int>(count);
}

LONG GetBitmapBits(HBITMAP hbm, LONG size, void* bits) {
  Bitmap* bm = Find<Bitmap>(hbm);
  if (!bm || size < 0) return 0;
  int64_t rowBytes = ((int64_t(bm->width) * bm->bpp + 15) / 16) * 2;
  int64_t total = rowBytes * bm->height;
  if (!bits) return static_cast<LONG>(total);
  Pixmap pm = bm->View();
  int64_t done = 0;
  for (int32_t y = 0; y < bm->height && done < size; ++y) {
    int64_t n = std::min<int64_t>(rowBytes, size - done);
    std::memcpy(static_cast<uint8_t*>(bits) + done, pm.Row(y),
                static_cast<size_t>(std::min<int64_t>(n, bm->stride)));
    done += n;
  }
  return static_cast<LONG>(done);
}

LONG SetBitmapBits(HBITMAP hbm, DWORD size, const void* bits) {
  Bitmap* bm = Find<Bitmap>(hbm);
  if (!bm || !bits) return 0;
  int64_t rowBytes = ((int64_t(bm->width) * bm->bpp + 15) / 16) * 2;
  Pixmap pm = bm->View();
  int64_t done = 0;
  for (int32_t y = 0; y < bm->height && done < size; ++y) {
    int64_t n = std::min<int64_t>(rowBytes, int64_t(size) - done);
    std::memcpy(pm.Row(y), static_cast<const uint8_t*>(bits) + done,
                static_cast<size_t>(std::min<int64_t>(n, bm->stride)));
    done += n;
  }
  return static_cast<LONG>(done);
}

BOOL GetBitmapDimensionEx(HBITMAP hbm, SIZE* size) {
  Bitmap* bm = Find<Bitmap>(hbm);
  if (!bm || !size) return FALSE;
  *size = bm->dimension;
  return TRUE;
}

namespace {

// The device pixel of a logical point, when it is visible.
bool VisiblePixel(Dc& dc, int x, int y, Dest& d, POINT& dev) {
  if (!PrepareDest(dc, d)) return false;
  dev = ToDevice(DeviceTransform(dc), x, y);
  return d.clip.Contains(dev);
}

}  // namespace

COLORREF GetPixel(HDC h, int x, int y) {
  Dc* dc = FindDc(h);
  if (!dc) return CLR_INVALID;
  Dest d;
  POINT dev;
  if (!VisiblePixel(*dc, x, y, d, dev)) return CLR_INVALID;
  return ColorFromNative(d.pm, d.pm.Get(dev.X + d.offset.X, dev.Y + d.offset.Y));
}

COLORREF SetPixel(HDC h, int x, int y, COLORREF color) {
  Dc* dc = FindDc(h);
  if (!dc) return CLR_INVALID;
  if (dc->meta) {
    MetaRecord(*dc, EMR_SETPIXELV, {x, y, static_cast<int32_t>(color & 0xFFFFFF)});
    return color & 0xFFFFFF;
  }
  Dest d;
  POINT dev;
  if (!VisiblePixel(*dc, x, y, d, dev)) return CLR_INVALID;
  uint32_t v = NativeFromColor(d.pm, color & 0xFFFFFF);
  d.pm.Put(dev.X + d.offset.X, dev.Y + d.offset.Y, v);
  return ColorFromNative(d.pm, v);
}

BOOL SetPixelV(HDC h, int x, int y, COLORREF color) {
  return SetPixel(h, x, y, color) != CLR_INVALID;
}

UINT GetDIBColorTable(HDC h, UINT start, UINT count, RGBQUAD* colors) {
  Dc* dc = FindDc(h);
  Bitmap* bm = dc ? SelectedBitmap(*dc) : nullptr;
  if (!bm || !bm->dib || !colors || start >= bm->colors.size()) return 0;
  UINT n = std::min<UINT>(count, static_cast<UINT>(bm->colors.size()) - start);
  std::memcpy(colors, bm->colors.data() + start, sizeof(RGBQUAD) * n);
  return n;
}

UINT SetDIBColorTable(HDC h, UINT start, UINT count, const RGBQUAD* colors) {
  Dc* dc = FindDc(h);
  Bitmap* bm = dc ? SelectedBitmap(*dc) : nullptr;
  if (!bm || !bm->dib || !colors || start >= bm->colors.size()) return 0;
  UINT n = std::min<UINT>(count, static_cast<UINT>(bm->colors.size()) - start);
  std::memcpy(bm->colors.data() + start, colors, sizeof(RGBQUAD) * n);
  return n;
}

}  // namespace qd
