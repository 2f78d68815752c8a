#include "platform/os/gdi_gdiplus_access.h"

#include <algorithm>
#include <cstring>

#include "platform/os/gdi_font.h"
#include "platform/os/gdi_internal.h"

namespace qd::gdi {

bool GetDcTarget(HDC dc, DcTarget& out) {
  out = DcTarget{};
  Dc* d = FindDc(dc);
  if (!d) return false;
  Transform t = DeviceTransform(*d);
  out.m11 = t.m11;
  out.m12 = t.m12;
  out.m21 = t.m21;
  out.m22 = t.m22;
  out.dx = t.dx;
  out.dy = t.dy;
  POINT off;
  auto pm = TargetOf(*d, &off);
  if (!pm || pm->width <= 0 || pm->height <= 0) return true;
  out.top = pm->top;
  out.stride = pm->stride;
  out.width = pm->width;
  out.height = pm->height;
  out.bgra32 = pm->format == Format::Bgra32;
  out.offset = off;
  Rgn clip = VisibleClip(*d);
  int n = 0;
  const pixman_box32_t* boxes = clip.Boxes(&n);
  out.clip.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) out.clip.push_back({boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2});
  return true;
}

namespace {

bool PixelsOf(HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, Pixmap& pm) {
  Dc* d = FindDc(dc);
  if (!d) return false;
  auto target = TargetOf(*d, nullptr);
  if (!target) return false;
  pm = *target;
  return x >= 0 && y >= 0 && w >= 0 && h >= 0 && x <= pm.width - w && y <= pm.height - h;
}

}  // namespace

bool ReadDcPixels(HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t* dst, ptrdiff_t dstStride) {
  Pixmap pm;
  if (!PixelsOf(dc, x, y, w, h, pm)) return false;
  for (int32_t j = 0; j < h; ++j) {
    auto* row = reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(dst) + j * dstStride);
    for (int32_t i = 0; i < w; ++i)
      row[i] = 0xFF000000u | ColorToArgb(ColorFromNative(pm, pm.Get(x + i, y + j)));
  }
  return true;
}

bool WriteDcPixels(HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, const uint32_t* src,
                   ptrdiff_t srcStride) {
  Pixmap pm;
  if (!PixelsOf(dc, x, y, w, h, pm)) return false;
  for (int32_t j = 0; j < h; ++j) {
    const auto* row =
        reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(src) + j * srcStride);
    for (int32_t i = 0; i < w; ++i) pm.Put(x + i, y + j, NativeFromColor(pm, ArgbToColor(row[i] & 0xFFFFFF)));
  }
  return true;
}

bool ResolveFontFamily(const std::u16string& name, int weight, bool italic, std::string& family,
                       std::string& file) {
  if (name.empty() || name.size() >= LF_FACESIZE) return false;
  // GDI falls back by pitch and family for a face it cannot find; asking with two different
  // fallbacks tells a found face (both answers agree) from a fallback.
  auto face = [&](BYTE pitchAndFamily) {
    LOGFONTW lf;
    lf.lfHeight = -16;
    lf.lfWeight = weight;
    lf.lfItalic = italic ? 1 : 0;
    lf.lfPitchAndFamily = pitchAndFamily;
    std::copy(name.begin(), name.end(), lf.lfFaceName);
    return FontFace::For(lf);
  };
  auto serif = face(FF_ROMAN | VARIABLE_PITCH);
  auto mono = face(FF_MODERN | FIXED_PITCH);
  if (!serif || !mono || serif->family != mono->family || serif->file != mono->file) return false;
  family = serif->family;
  file = serif->file;
  return true;
}

bool ResolveLogFontFamily(const LOGFONTW& font, std::string& family, std::string& file) {
  auto face = FontFace::For(font);
  if (!face) return false;
  family = face->family;
  file = face->file;
  return true;
}

}  // namespace qd::gdi
