// Pens and brushes.
#include <algorithm>
#include <cstring>

#include "platform/os/gdi_bitmap.h"
#include "platform/os/gdi_internal.h"

namespace qd {
using namespace gdi;

HPEN CreatePen(int style, int width, COLORREF color) {
  int s = style & PS_STYLE_MASK;
  if (s > PS_ALTERNATE || s == PS_USERSTYLE || s == PS_ALTERNATE) s = PS_SOLID;
  auto p = std::make_unique<Pen>();
  // Wide cosmetic pens of a dashed style draw solid, as on the original.
  if (width > 1 && s != PS_NULL && s != PS_INSIDEFRAME) s = PS_SOLID;
  p->style = static_cast<DWORD>(s);
  p->width = std::clamp(width, 0, 1 << 20);
  p->color = color & 0xFFFFFF;
  return static_cast<HPEN>(AddObject(std::move(p)));
}

HPEN CreatePenIndirect(const LOGPEN* lp) {
  if (!lp) return nullptr;
  return CreatePen(static_cast<int>(lp->lopnStyle), lp->lopnWidth.X, lp->lopnColor);
}

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD* styles) {
  if (!brush) return nullptr;
  DWORD type = style & PS_TYPE_MASK;
  int s = static_cast<int>(style & PS_STYLE_MASK);
  if (type == PS_COSMETIC && width != 1) return nullptr;
  if (s == PS_ALTERNATE && type != PS_COSMETIC) return nullptr;
  if (s == PS_USERSTYLE && (styleCount == 0 || styleCount > 16 || !styles)) return nullptr;
  if (s != PS_USERSTYLE && (styleCount != 0 || styles)) return nullptr;
  if (brush->lbStyle != BS_SOLID && brush->lbStyle != BS_NULL && brush->lbStyle != BS_HATCHED) {
    // Pattern pens draw in the brush's colour here.
  }
  auto p = std::make_unique<Pen>();
  p->ext = true;
  p->style = style;
  p->width = static_cast<int32_t>(std::min<DWORD>(width, 1u << 20));
  p->color = brush->lbColor & 0xFFFFFF;
  p->brushStyle = brush->lbStyle;
  p->hatch = brush->lbHatch;
  if (brush->lbStyle == BS_NULL) p->style = (style & ~static_cast<DWORD>(PS_STYLE_MASK)) | PS_NULL;
  if (s == PS_USERSTYLE) p->userStyle.assign(styles, styles + styleCount);
  return static_cast<HPEN>(AddObject(std::move(p)));
}

HBRUSH CreateSolidBrush(COLORREF color) {
  auto b = std::make_unique<Brush>();
  b->style = BS_SOLID;
  b->color = color & 0xFFFFFF;
  return static_cast<HBRUSH>(AddObject(std::move(b)));
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
  if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
  auto b = std::make_unique<Brush>();
  b->style = BS_HATCHED;
  b->hatch = hatch;
  b->color = color & 0xFFFFFF;
  return static_cast<HBRUSH>(AddObject(std::move(b)));
}

namespace {

HBRUSH PatternBrushFrom(const Pixmap& pm, int32_t w, int32_t h, bool mono, UINT style) {
  auto b = std::make_unique<Brush>();
  b->style = style;
  b->patWidth = w;
  b->patHeight = h;
  b->patMono = mono;
  b->pattern.resize(static_cast<size_t>(w) * h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      uint32_t v = pm.Get(x, y);
      b->pattern[static_cast<size_t>(y) * w + x] = mono ? (v & 1) : ColorToArgb(ColorFromNative(pm, v));
    }
  return static_cast<HBRUSH>(AddObject(std::move(b)));
}

}  // namespace

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  Bitmap* bm = Find<Bitmap>(bitmap);
  if (!bm) return nullptr;
  // The brush keeps a copy: the bitmap may be deleted afterwards.
  int32_t w = std::min(bm->width, 256), h = std::min(bm->height, 256);
  bool mono = bm->format == Format::Mono && !bm->dib;
  return PatternBrushFrom(bm->View(), w, h, mono, BS_PATTERN);
}

HBRUSH CreateDIBPatternBrushPt(const void* packedDib, UINT usage) {
  if (!packedDib) return nullptr;
  const auto* info = static_cast<const BITMAPINFO*>(packedDib);
  DibInfo di;
  if (!ParseDib(info, usage, nullptr, di)) return nullptr;
  DWORD headerSize;
  std::memcpy(&headerSize, packedDib, 4);
  size_t tableBytes = di.colors.size() * (usage == DIB_PAL_COLORS ? 2 : sizeof(RGBQUAD));
  if (di.compression == BI_BITFIELDS && headerSize == sizeof(BITMAPINFOHEADER)) tableBytes += 12;
  const auto* bits = static_cast<const uint8_t*>(packedDib) + headerSize + tableBytes;
  std::vector<uint8_t> temp;
  Pixmap pm;
  if (!DibRows(di, bits, 0, di.height, temp, pm)) return nullptr;
  if (!di.topDown) {
    pm.top += pm.stride * (di.height - 1);
    pm.stride = -pm.stride;
  }
  return PatternBrushFrom(pm, std::min(di.width, 256), std::min(di.height, 256), false, BS_DIBPATTERNPT);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lb) {
  if (!lb) return nullptr;
  switch (lb->lbStyle) {
    case BS_SOLID:
      return CreateSolidBrush(lb->lbColor);
    case BS_NULL: {
      auto b = std::make_unique<Brush>();
      b->style = BS_NULL;
      return static_cast<HBRUSH>(AddObject(std::move(b)));
    }
    case BS_HATCHED:
      return CreateHatchBrush(static_cast<int>(lb->lbHatch), lb->lbColor);
    case BS_PATTERN:
    case BS_PATTERN8X8:
      return CreatePatternBrush(reinterpret_cast<HBITMAP>(lb->lbHatch));
    case BS_DIBPATTERNPT:
    case BS_DIBPATTERN8X8:
      return CreateDIBPatternBrushPt(reinterpret_cast<const void*>(lb->lbHatch), lb->lbColor & 0xFFFF);
    default:
      return nullptr;
  }
}

}  // namespace qd
