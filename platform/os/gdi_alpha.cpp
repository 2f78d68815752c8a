// AlphaBlend, GradientFill and TransparentBlt (the msimg32 functions).
#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/os/gdi_blit.h"
#include "platform/os/gdi_internal.h"
#include "platform/os/gdi_metafile.h"

namespace qd {
using namespace gdi;

namespace {

inline uint32_t Div255(uint32_t v) {
  return (v + 128 + ((v + 128) >> 8)) >> 8;
}

// A pixel as 0xAARRGGBB: the stored alpha of 32-bit pixels, 0 for other formats.
inline uint32_t ReadArgb(const Pixmap& pm, int32_t x, int32_t y) {
  if (pm.format == Format::Bgra32) {
    uint32_t v;
    std::memcpy(&v, pm.Row(y) + static_cast<size_t>(x) * 4, 4);
    return v;
  }
  return ColorToArgb(ColorFromNative(pm, pm.Get(x, y)));
}

inline void WriteArgb(const Pixmap& pm, int32_t x, int32_t y, uint32_t v) {
  if (pm.format == Format::Bgra32) {
    std::memcpy(pm.Row(y) + static_cast<size_t>(x) * 4, &v, 4);
    return;
  }
  pm.Put(x, y, NativeFromColor(pm, ArgbToColor(v)));
}

struct Mapping {
  RECT D;                  // destination device rectangle
  int32_t sx, sy, sw, sh;  // source device rectangle
};

// Destination and source rectangles of a stretch without mirroring; false when invalid.
bool MapRects(Dc& dst, Dc& src, int xd, int yd, int wd, int hd, int xs, int ys, int ws, int hs, Mapping& m,
              BlitSource& bs) {
  if (wd < 0 || hd < 0 || ws < 0 || hs < 0) return false;
  if (!SourceOfDc(src, bs)) return false;
  RECT sr = ToDeviceRect(DeviceTransform(src), {ClampCoord(xs), ClampCoord(ys), AddC(xs, ws), AddC(ys, hs)});
  if (sr.Left < bs.bounds.x1 || sr.Top < bs.bounds.y1 || sr.Right > bs.bounds.x2 || sr.Bottom > bs.bounds.y2)
    return false;
  m.D = ToDeviceRect(DeviceTransform(dst), {ClampCoord(xd), ClampCoord(yd), AddC(xd, wd), AddC(yd, hd)});
  m.sx = sr.Left;
  m.sy = sr.Top;
  m.sw = sr.Width();
  m.sh = sr.Height();
  return true;
}

// Calls f(x, y, sx, sy) for every visible destination pixel with its nearest source pixel.
template <class F>
void ForEachPixel(Dest& d, const Mapping& m, F&& f) {
  int64_t Dw = m.D.Width(), Dh = m.D.Height();
  if (Dw <= 0 || Dh <= 0 || m.sw <= 0 || m.sh <= 0) return;
  Rgn area(pixman_box32_t{m.D.Left, m.D.Top, m.D.Right, m.D.Bottom});
  area.Intersect(d.clip);
  int n = 0;
  const pixman_box32_t* boxes = area.Boxes(&n);
  for (int b = 0; b < n; ++b)
    for (int32_t y = boxes[b].y1; y < boxes[b].y2; ++y) {
      auto sy = static_cast<int32_t>(m.sy + (2 * (y - m.D.Top) + 1) * int64_t(m.sh) / (2 * Dh));
      for (int32_t x = boxes[b].x1; x < boxes[b].x2; ++x) {
        auto sx = static_cast<int32_t>(m.sx + (2 * (x - m.D.Left) + 1) * int64_t(m.sw) / (2 * Dw));
        f(x, y, sx, sy);
      }
    }
}

// One pixel of AlphaBlend: constant alpha only, every channel d = (s * sca + d * (255 - sca)) / 255;
// with per-pixel alpha the source is premultiplied: s' = s * sca / 255, d = s' + d * (255 - s'.a) / 255.
inline uint32_t BlendPixel(uint32_t s, uint32_t dv, uint32_t sca, bool perPixel) {
  uint32_t out = 0;
  if (perPixel) {
    uint32_t sa = sca == 255 ? (s >> 24) : Div255((s >> 24) * sca);
    for (int sh = 0; sh < 32; sh += 8) {
      uint32_t sc = (s >> sh) & 0xFF;
      if (sca != 255) sc = Div255(sc * sca);
      uint32_t v = sc + Div255(((dv >> sh) & 0xFF) * (255 - sa));
      out |= std::min(v, 255u) << sh;
    }
  } else {
    for (int sh = 0; sh < 32; sh += 8) {
      uint32_t v = Div255(((s >> sh) & 0xFF) * sca + ((dv >> sh) & 0xFF) * (255 - sca));
      out |= std::min(v, 255u) << sh;
    }
  }
  return out;
}

#if defined(__SSE2__)
// Div255 of eight 16-bit lanes (each at most 255 * 255): ((v + 128) * 257) >> 16 is the same
// value for every such v.
inline __m128i Div255x8(__m128i v) {
  return _mm_mulhi_epu16(_mm_add_epi16(v, _mm_set1_epi16(128)), _mm_set1_epi16(257));
}

// BlendPixel on two pixels widened to 16-bit lanes.
template <bool PerPixel, bool Scale>
inline __m128i BlendPixels2(__m128i s, __m128i dv, __m128i sca) {
  const __m128i all = _mm_set1_epi16(255);
  if constexpr (!PerPixel)
    return Div255x8(_mm_add_epi16(_mm_mullo_epi16(s, sca), _mm_mullo_epi16(dv, _mm_sub_epi16(all, sca))));
  if constexpr (Scale) s = Div255x8(_mm_mullo_epi16(s, sca));
  const __m128i sa = _mm_shufflehi_epi16(_mm_shufflelo_epi16(s, 0xFF), 0xFF);
  return _mm_add_epi16(s, Div255x8(_mm_mullo_epi16(dv, _mm_sub_epi16(all, sa))));
}

template <bool PerPixel, bool Scale>
int32_t BlendRowVector(const uint8_t* src, uint8_t* dst, int32_t n, uint32_t sca) {
  const __m128i zero = _mm_setzero_si128(), scaV = _mm_set1_epi16(static_cast<int16_t>(sca));
  int32_t i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 4 * i));
    const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + 4 * i));
    const __m128i lo =
        BlendPixels2<PerPixel, Scale>(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(dv, zero), scaV);
    const __m128i hi =
        BlendPixels2<PerPixel, Scale>(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(dv, zero), scaV);
    // Saturating: the min(v, 255) of BlendPixel.
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 4 * i), _mm_packus_epi16(lo, hi));
  }
  return i;
}
#endif

void BlendRow(const uint8_t* src, uint8_t* dst, int32_t n, uint32_t sca, bool perPixel) {
  int32_t i = 0;
#if defined(__SSE2__)
  if (!perPixel)
    i = BlendRowVector<false, false>(src, dst, n, sca);
  else if (sca == 255)
    i = BlendRowVector<true, false>(src, dst, n, sca);
  else
    i = BlendRowVector<true, true>(src, dst, n, sca);
#endif
  for (; i < n; ++i) {
    uint32_t s, dv;
    std::memcpy(&s, src + 4 * i, 4);
    std::memcpy(&dv, dst + 4 * i, 4);
    dv = BlendPixel(s, dv, sca, perPixel);
    std::memcpy(dst + 4 * i, &dv, 4);
  }
}

// 32 bits to 32 bits without stretching, a row at a time; the same result as pixel by pixel.
void BlendUnstretched(Dest& d, const Mapping& m, const BlitSource& bs, uint32_t sca, bool perPixel) {
  Rgn area(pixman_box32_t{m.D.Left, m.D.Top, m.D.Right, m.D.Bottom});
  area.Intersect(d.clip);
  int n = 0;
  const pixman_box32_t* boxes = area.Boxes(&n);
  for (int b = 0; b < n; ++b)
    for (int32_t y = boxes[b].y1; y < boxes[b].y2; ++y) {
      const int32_t sx = m.sx + (boxes[b].x1 - m.D.Left), sy = m.sy + (y - m.D.Top);
      BlendRow(bs.pm.Row(sy + bs.offset.Y) + static_cast<ptrdiff_t>(sx + bs.offset.X) * 4,
               d.pm.Row(y + d.offset.Y) + static_cast<ptrdiff_t>(boxes[b].x1 + d.offset.X) * 4,
               boxes[b].x2 - boxes[b].x1, sca, perPixel);
    }
}

}  // namespace

BOOL AlphaBlend(HDC dest, int xd, int yd, int wd, int hd, HDC src, int xs, int ys, int ws, int hs,
                BLENDFUNCTION blend) {
  Dc* dc = FindDc(dest);
  Dc* sdc = FindDc(src);
  if (!dc || !sdc || blend.BlendOp != AC_SRC_OVER || blend.BlendFlags != 0) return FALSE;
  if (dc->meta) {
    MetaRecordBlt(*dc, xd, yd, wd, hd, src, xs, ys, ws, hs, 0, &blend);
    return TRUE;
  }
  Mapping m;
  BlitSource bs;
  if (!MapRects(*dc, *sdc, xd, yd, wd, hd, xs, ys, ws, hs, m, bs)) return FALSE;
  bool perPixel = (blend.AlphaFormat & AC_SRC_ALPHA) != 0;
  if (perPixel && bs.pm.format != Format::Bgra32) return FALSE;
  Dest d;
  if (!PrepareDest(*dc, d)) return TRUE;
  uint32_t sca = blend.SourceConstantAlpha;
  if (m.sw == m.D.Width() && m.sh == m.D.Height() && bs.pm.format == Format::Bgra32 &&
      d.pm.format == Format::Bgra32 && bs.pm.top != d.pm.top) {
    BlendUnstretched(d, m, bs, sca, perPixel);
    return TRUE;
  }
  ForEachPixel(d, m, [&](int32_t x, int32_t y, int32_t sx, int32_t sy) {
    uint32_t s = ReadArgb(bs.pm, sx + bs.offset.X, sy + bs.offset.Y);
    uint32_t dv = ReadArgb(d.pm, x + d.offset.X, y + d.offset.Y);
    if (perPixel && sca == 255 && s == 0) return;  // fully transparent
    WriteArgb(d.pm, x + d.offset.X, y + d.offset.Y, BlendPixel(s, dv, sca, perPixel));
  });
  return TRUE;
}

BOOL TransparentBlt(HDC dest, int xd, int yd, int wd, int hd, HDC src, int xs, int ys, int ws, int hs,
                    UINT transparent) {
  Dc* dc = FindDc(dest);
  Dc* sdc = FindDc(src);
  if (!dc || !sdc) return FALSE;
  Mapping m;
  BlitSource bs;
  if (!MapRects(*dc, *sdc, xd, yd, wd, hd, xs, ys, ws, hs, m, bs)) return FALSE;
  Dest d;
  if (!PrepareDest(*dc, d)) return TRUE;
  COLORREF key = transparent & 0xFFFFFF;
  bool srcMono = bs.pm.format == Format::Mono;
  uint32_t fg = NativeFromColor(d.pm, dc->s.textColor), bg = NativeFromColor(d.pm, dc->s.bkColor);
  ForEachPixel(d, m, [&](int32_t x, int32_t y, int32_t sx, int32_t sy) {
    uint32_t v = bs.pm.Get(sx + bs.offset.X, sy + bs.offset.Y);
    COLORREF c = ColorFromNative(bs.pm, v);
    if (c == key) return;
    uint32_t out;
    if (srcMono)
      out = v ? bg : fg;
    else if (bs.pm.format == Format::Bgra32 && d.pm.format == Format::Bgra32)
      out = v;
    else
      out = NativeFromColor(d.pm, c);
    d.pm.Put(x + d.offset.X, y + d.offset.Y, out);
  });
  return TRUE;
}

BOOL GradientFill(HDC h, TRIVERTEX* vertices, ULONG vertexCount, void* mesh, ULONG meshCount, ULONG mode) {
  Dc* dc = FindDc(h);
  if (!dc || !vertices || (!mesh && meshCount)) return FALSE;
  if (mode > GRADIENT_FILL_TRIANGLE) return FALSE;
  Dest d;
  bool ok = PrepareDest(*dc, d);
  Transform t = DeviceTransform(*dc);
  auto colorAt = [](const TRIVERTEX& a, const TRIVERTEX& b, int64_t num, int64_t den) {
    auto ch = [&](COLOR16 ca, COLOR16 cb) {
      int64_t v = den ? (int64_t(ca) * (den - num) + int64_t(cb) * num) / den : ca;
      return static_cast<uint32_t>(std::clamp<int64_t>(v, 0, 0xFFFF) >> 8);
    };
    return (ch(a.Alpha, b.Alpha) << 24) | (ch(a.Red, b.Red) << 16) | (ch(a.Green, b.Green) << 8) |
           ch(a.Blue, b.Blue);
  };
  if (mode != GRADIENT_FILL_TRIANGLE) {
    const auto* rects = static_cast<const GRADIENT_RECT*>(mesh);
    for (ULONG i = 0; i < meshCount; ++i) {
      if (rects[i].UpperLeft >= vertexCount || rects[i].LowerRight >= vertexCount) return FALSE;
      TRIVERTEX a = vertices[rects[i].UpperLeft], b = vertices[rects[i].LowerRight];
      bool horizontal = mode == GRADIENT_FILL_RECT_H;
      if (horizontal ? a.x > b.x : a.y > b.y) std::swap(a, b);
      if (!ok) continue;
      RECT D = ToDeviceRect(t, Normalized({a.x, a.y, b.x, b.y}));
      bool flip = horizontal ? t.m11 < 0 : t.m22 < 0;
      int64_t len = horizontal ? D.Width() : D.Height();
      Rgn area(pixman_box32_t{D.Left, D.Top, D.Right, D.Bottom});
      area.Intersect(d.clip);
      int n = 0;
      const pixman_box32_t* boxes = area.Boxes(&n);
      for (int k = 0; k < n; ++k)
        for (int32_t y = boxes[k].y1; y < boxes[k].y2; ++y)
          for (int32_t x = boxes[k].x1; x < boxes[k].x2; ++x) {
            int64_t pos = horizontal ? x - D.Left : y - D.Top;
            if (flip) pos = len - 1 - pos;
            WriteArgb(d.pm, x + d.offset.X, y + d.offset.Y, colorAt(a, b, pos, len));
          }
    }
    return TRUE;
  }
  const auto* tris = static_cast<const GRADIENT_TRIANGLE*>(mesh);
  for (ULONG i = 0; i < meshCount; ++i) {
    ULONG idx[3] = {tris[i].Vertex1, tris[i].Vertex2, tris[i].Vertex3};
    for (ULONG v : idx)
      if (v >= vertexCount) return FALSE;
    if (!ok) continue;
    PointD p[3];
    for (int k = 0; k < 3; ++k) {
      POINT q = ToDevice(t, vertices[idx[k]].x, vertices[idx[k]].y);
      p[k] = {static_cast<double>(q.X), static_cast<double>(q.Y)};
    }
    double det = (p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (p[1].y - p[0].y);
    if (det == 0) continue;
    Boxes boxes;
    RasterPolygon({{p[0], p[1], p[2]}}, true, boxes, &d.clipBox);
    Rgn area(boxes.data(), static_cast<int>(boxes.size()));
    area.Intersect(d.clip);
    int n = 0;
    const pixman_box32_t* bx = area.Boxes(&n);
    for (int k = 0; k < n; ++k)
      for (int32_t y = bx[k].y1; y < bx[k].y2; ++y)
        for (int32_t x = bx[k].x1; x < bx[k].x2; ++x) {
          double cx = x + 0.5, cy = y + 0.5;
          double w1 = ((p[1].x - cx) * (p[2].y - cy) - (p[2].x - cx) * (p[1].y - cy)) / det;
          double w2 = ((p[2].x - cx) * (p[0].y - cy) - (p[0].x - cx) * (p[2].y - cy)) / det;
          double w3 = 1 - w1 - w2;
          auto mix = [&](COLOR16 TRIVERTEX::*f) {
            double v = w1 * (vertices[idx[0]].*f) + w2 * (vertices[idx[1]].*f) + w3 * (vertices[idx[2]].*f);
            return static_cast<uint32_t>(std::clamp(v, 0.0, 65535.0)) >> 8;
          };
          uint32_t c = (mix(&TRIVERTEX::Alpha) << 24) | (mix(&TRIVERTEX::Red) << 16) |
                       (mix(&TRIVERTEX::Green) << 8) | mix(&TRIVERTEX::Blue);
          WriteArgb(d.pm, x + d.offset.X, y + d.offset.Y, c);
        }
  }
  return TRUE;
}

}  // namespace qd
