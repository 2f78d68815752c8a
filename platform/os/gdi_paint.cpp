// The painting engine: destinations, realised brushes and raster operations over boxes.
#include <algorithm>
#include <cstring>

#include "platform/os/gdi_internal.h"

namespace qd::gdi {

bool PrepareDest(Dc& dc, Dest& out) {
  auto pm = TargetOf(dc, &out.offset);
  if (!pm) return false;
  out.dc = &dc;
  out.pm = *pm;
  out.clip = VisibleClip(dc);
  int n = out.clip.Count();
  if (n == 0) return false;
  out.clipIsRect = n == 1;
  out.clipBox = out.clip.Extents();
  return true;
}

Brush* CurrentBrush(const Dc& dc) {
  return Find<Brush>(dc.s.brush);
}
Pen* CurrentPen(const Dc& dc) {
  return Find<Pen>(dc.s.pen);
}

COLORREF BrushColor(const Dc& dc, const Brush& b) {
  if (b.dcBrush) return dc.s.dcBrushColor;
  if (b.sysColor >= 0) return SysColor(b.sysColor);
  return b.color & 0xFFFFFF;
}

COLORREF PenColor(const Dc& dc, const Pen& p) {
  return p.dcPen ? dc.s.dcPenColor : (p.color & 0xFFFFFF);
}

namespace {
const uint8_t kHatch[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00},  // HS_HORIZONTAL
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // HS_BDIAGONAL
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08},  // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // HS_DIAGCROSS
};
}  // namespace

Pattern SolidPattern(const Dest& d, COLORREF color) {
  Pattern p;
  p.solid = true;
  p.value = NativeFromColor(d.pm, color & 0xFFFFFF);
  return p;
}

bool MakePattern(const Dest& d, const Brush* brush, Pattern& out) {
  if (!brush || brush->style == BS_NULL) return false;
  const Dc& dc = *d.dc;
  out = Pattern{};
  out.orgX = dc.s.brushOrg.X;
  out.orgY = dc.s.brushOrg.Y;
  switch (brush->style) {
    case BS_HATCHED: {
      int hs = std::clamp(brush->hatch, 0, 5);
      uint32_t fg = NativeFromColor(d.pm, BrushColor(dc, *brush));
      uint32_t bg = NativeFromColor(d.pm, dc.s.bkColor);
      out.solid = false;
      out.w = out.h = 8;
      out.values.resize(64);
      out.hasSkip = dc.s.bkMode == TRANSPARENT;
      if (out.hasSkip) out.skip.resize(64);
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
          bool on = (kHatch[hs][y] >> (7 - x)) & 1;
          out.values[y * 8 + x] = on ? fg : bg;
          if (out.hasSkip) out.skip[y * 8 + x] = on ? 0 : 1;
        }
      return true;
    }
    case BS_PATTERN:
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT:
    case BS_PATTERN8X8:
    case BS_DIBPATTERN8X8: {
      if (brush->patWidth <= 0 || brush->patHeight <= 0) return false;
      out.solid = false;
      out.w = brush->patWidth;
      out.h = brush->patHeight;
      out.values.resize(brush->pattern.size());
      if (brush->patMono) {
        // A monochrome pattern takes the DC's colours: 0 -> text colour, 1 -> background colour.
        uint32_t c0 = NativeFromColor(d.pm, dc.s.textColor), c1 = NativeFromColor(d.pm, dc.s.bkColor);
        if (d.pm.format == Format::Mono) {
          c0 = 0;
          c1 = 1;
        }
        for (size_t i = 0; i < out.values.size(); ++i) out.values[i] = brush->pattern[i] ? c1 : c0;
      } else {
        for (size_t i = 0; i < out.values.size(); ++i)
          out.values[i] = NativeFromColor(d.pm, ArgbToColor(brush->pattern[i]));
      }
      return true;
    }
    default:
      out.solid = true;
      out.value = NativeFromColor(d.pm, BrushColor(dc, *brush));
      return true;
  }
}

// ---- Raster operations -----------------------------------------------------------------------

uint8_t Rop2ToRop3(int rop2) {
  int t = (rop2 - 1) & 0xF;  // bit (P << 1 | D)
  uint8_t code = 0;
  for (int i = 0; i < 8; ++i) {
    int p = (i >> 2) & 1, dbit = i & 1;
    if ((t >> ((p << 1) | dbit)) & 1) code |= static_cast<uint8_t>(1 << i);
  }
  return code;
}

bool RopUsesP(uint8_t rop) {
  return ((rop >> 4) & 0x0F) != (rop & 0x0F);
}
bool RopUsesS(uint8_t rop) {
  return ((rop >> 2) & 0x33) != (rop & 0x33);
}
bool RopUsesD(uint8_t rop) {
  return ((rop >> 1) & 0x55) != (rop & 0x55);
}

uint32_t EvalRop3(uint8_t rop, uint32_t p, uint32_t s, uint32_t d) {
  uint32_t r = 0;
  for (int i = 0; i < 8; ++i) {
    if (!((rop >> i) & 1)) continue;
    r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  }
  return r;
}

namespace {

constexpr uint8_t kBlackness = 0x00, kWhiteness = 0xFF, kPatCopy = 0xF0, kSrcCopy = 0xCC;

inline int32_t Mod(int64_t a, int32_t m) {
  int64_t r = a % m;
  return static_cast<int32_t>(r < 0 ? r + m : r);
}

// Pattern values for device row y, columns x .. x+n-1.
void PatternRow(const Pattern& p, int32_t x, int32_t y, int32_t n, uint32_t* out, uint8_t* skip) {
  if (p.solid) {
    std::fill(out, out + n, p.value);
    if (skip) std::fill(skip, skip + n, 0);
    return;
  }
  int32_t py = Mod(int64_t(y) - p.orgY, p.h);
  const uint32_t* row = p.values.data() + static_cast<size_t>(py) * p.w;
  const uint8_t* srow = p.hasSkip ? p.skip.data() + static_cast<size_t>(py) * p.w : nullptr;
  int32_t px = Mod(int64_t(x) - p.orgX, p.w);
  for (int32_t i = 0; i < n; ++i) {
    out[i] = row[px];
    if (skip) skip[i] = srow ? srow[px] : 0;
    if (++px == p.w) px = 0;
  }
}

// The result of the two constant ROPs. Raster operations work on every bit of a 32-bit pixel, so
// WHITENESS sets the alpha byte too, like any operation whose result is all ones; BLACKNESS clears it.
uint32_t ConstantResult(const Pixmap& pm, uint8_t rop) {
  if (rop == kBlackness) return NativeFromColor(pm, RGB(0, 0, 0));
  if (pm.format == Format::Bgra32) return 0xFFFFFFFF;
  return NativeFromColor(pm, RGB(255, 255, 255));
}

struct RowBuffers {
  std::vector<uint32_t> p, zero;
  std::vector<uint8_t> skip;
  void Reserve(int32_t n) {
    if (static_cast<int32_t>(p.size()) < n) {
      p.resize(n);
      zero.resize(n);
      skip.resize(n);
    }
  }
};

RowBuffers& Buffers() {
  thread_local RowBuffers b;
  return b;
}

// One row segment: device (x .. x+n-1, y). s/valid/mask point at the row's first pixel.
void RopSpan(Dest& dst, int32_t x, int32_t y, int32_t n, const Pattern* pat, uint8_t rop, const uint32_t* s,
             const uint8_t* valid, const uint8_t* mask, uint8_t backRop) {
  const Pixmap& pm = dst.pm;
  int32_t px = x + dst.offset.X, py = y + dst.offset.Y;
  bool usesP = RopUsesP(rop) || (mask && RopUsesP(backRop));
  bool is32 = pm.format == Format::Bgra32;
  uint8_t* rowBytes = pm.Row(py);
  auto* d32 = reinterpret_cast<uint32_t*>(rowBytes) + px;
  bool hasSkip = pat && pat->hasSkip;

  if (is32 && !mask && !valid && !hasSkip) {
    if (rop == kBlackness || rop == kWhiteness) {
      std::fill(d32, d32 + n, ConstantResult(pm, rop));
      return;
    }
    if (rop == kPatCopy && pat && pat->solid) {
      std::fill(d32, d32 + n, pat->value);
      return;
    }
    if (rop == kSrcCopy && s) {
      std::memcpy(d32, s, static_cast<size_t>(n) * 4);
      return;
    }
  }

  RowBuffers& b = Buffers();
  b.Reserve(n);
  uint32_t* P = b.p.data();
  uint8_t* skip = b.skip.data();
  if (usesP && pat) {
    PatternRow(*pat, x, y, n, P, hasSkip ? skip : nullptr);
  } else {
    std::fill(P, P + n, 0u);
  }
  if (!hasSkip) skip = nullptr;
  if (!s) s = b.zero.data();  // a ROP that reads the source without one sees zeros

  if (is32) {
    if (!mask && !valid && !skip && rop != kBlackness && rop != kWhiteness) {
      switch (rop) {
        case 0x66:
          for (int32_t i = 0; i < n; ++i) d32[i] ^= s[i];
          return;  // SRCINVERT
        case 0x88:
          for (int32_t i = 0; i < n; ++i) d32[i] &= s[i];
          return;  // SRCAND
        case 0xEE:
          for (int32_t i = 0; i < n; ++i) d32[i] |= s[i];
          return;  // SRCPAINT
        case 0x55:
          for (int32_t i = 0; i < n; ++i) d32[i] = ~d32[i];
          return;  // DSTINVERT
        case 0x5A:
          for (int32_t i = 0; i < n; ++i) d32[i] ^= P[i];
          return;  // PATINVERT
        case 0xC0:
          for (int32_t i = 0; i < n; ++i) d32[i] = P[i] & s[i];
          return;  // MERGECOPY
        case 0x44:
          for (int32_t i = 0; i < n; ++i) d32[i] = s[i] & ~d32[i];
          return;  // SRCERASE
        case 0x33:
          for (int32_t i = 0; i < n; ++i) d32[i] = ~s[i];
          return;  // NOTSRCCOPY
        case 0xF0:
          std::memcpy(d32, P, static_cast<size_t>(n) * 4);
          return;  // PATCOPY
        case 0xCC:
          std::memcpy(d32, s, static_cast<size_t>(n) * 4);
          return;  // SRCCOPY
        default:
          break;
      }
    }
    for (int32_t i = 0; i < n; ++i) {
      if ((valid && !valid[i]) || (skip && skip[i])) continue;
      uint8_t r = mask ? (mask[i] ? rop : backRop) : rop;
      if (r == kBlackness || r == kWhiteness) {
        d32[i] = ConstantResult(pm, r);
        continue;
      }
      d32[i] = EvalRop3(r, P[i], s[i], d32[i]);
    }
    return;
  }

  uint32_t m = NativeMask(pm.format);
  for (int32_t i = 0; i < n; ++i) {
    if ((valid && !valid[i]) || (skip && skip[i])) continue;
    uint8_t r = mask ? (mask[i] ? rop : backRop) : rop;
    uint32_t v;
    if (r == kBlackness || r == kWhiteness)
      v = ConstantResult(pm, r);
    else
      v = EvalRop3(r, P[i], s[i], pm.Get(px + i, py)) & m;
    pm.Put(px + i, py, v);
  }
}

bool IntersectBox(const pixman_box32_t& a, const pixman_box32_t& b, pixman_box32_t& out) {
  out = {std::max(a.x1, b.x1), std::max(a.y1, b.y1), std::min(a.x2, b.x2), std::min(a.y2, b.y2)};
  return out.x1 < out.x2 && out.y1 < out.y2;
}

// Calls f(box) for each part of the clip inside `area`.
template <class F>
void ForClipped(const Dest& d, const pixman_box32_t& area, F&& f) {
  pixman_box32_t c;
  if (d.clipIsRect) {
    if (IntersectBox(area, d.clipBox, c)) f(c);
    return;
  }
  int n = 0;
  const pixman_box32_t* boxes = d.clip.Boxes(&n);
  for (int i = 0; i < n; ++i) {
    if (boxes[i].y1 >= area.y2) break;
    if (IntersectBox(area, boxes[i], c)) f(c);
  }
}

}  // namespace

void FillBox(Dest& d, const pixman_box32_t& box, const Pattern* p, uint8_t rop) {
  bool bigSolid = d.pm.format == Format::Bgra32 && p && p->solid && rop == kPatCopy &&
                  (reinterpret_cast<uintptr_t>(d.pm.top) & 3) == 0 && (d.pm.stride & 3) == 0;
  // pixman wants the rows in storage order: bottom-up pixels are filled as flipped rows.
  bool bottomUp = d.pm.stride < 0;
  auto* storage = reinterpret_cast<uint32_t*>(bottomUp ? d.pm.Row(d.pm.height - 1) : d.pm.top);
  int storageStride = static_cast<int>((bottomUp ? -d.pm.stride : d.pm.stride) / 4);
  ForClipped(d, box, [&](const pixman_box32_t& c) {
    int32_t w = c.x2 - c.x1;
    if (bigSolid && w >= 16) {
      int32_t y1 = c.y1 + d.offset.Y, y2 = c.y2 + d.offset.Y;
      if (bottomUp) {
        int32_t t = d.pm.height - y2;
        y2 = d.pm.height - y1;
        y1 = t;
      }
      pixman_fill(storage, storageStride, 32, c.x1 + d.offset.X, y1, w, y2 - y1, p->value);
      return;
    }
    for (int32_t y = c.y1; y < c.y2; ++y) RopSpan(d, c.x1, y, w, p, rop, nullptr, nullptr, nullptr, 0);
  });
}

void FillBoxes(Dest& d, const pixman_box32_t* boxes, int n, const Pattern* p, uint8_t rop) {
  if (n == 1) {
    FillBox(d, boxes[0], p, rop);
    return;
  }
  Rgn r(boxes, n);
  FillRgn(d, r, p, rop);
}

void FillRgn(Dest& d, const Rgn& rgn, const Pattern* p, uint8_t rop) {
  Rgn r = rgn;
  r.Intersect(d.clip);
  int n = 0;
  const pixman_box32_t* boxes = r.Boxes(&n);
  for (int i = 0; i < n; ++i) {
    const pixman_box32_t& c = boxes[i];
    for (int32_t y = c.y1; y < c.y2; ++y)
      RopSpan(d, c.x1, y, c.x2 - c.x1, p, rop, nullptr, nullptr, nullptr, 0);
  }
}

void RopBlit(Dest& d, const SourceImage& src, const Pattern* p, uint8_t rop, const uint8_t* maskBits,
             uint8_t backRop) {
  bool hasValid = !src.valid.empty();
  ForClipped(d, src.area, [&](const pixman_box32_t& c) {
    for (int32_t y = c.y1; y < c.y2; ++y) {
      size_t off = static_cast<size_t>(y - src.area.y1) * src.stride + (c.x1 - src.area.x1);
      const uint32_t* s = src.px.empty() ? nullptr : src.px.data() + off;
      const uint8_t* v = hasValid ? src.valid.data() + off : nullptr;
      const uint8_t* m = maskBits ? maskBits + off : nullptr;
      RopSpan(d, c.x1, y, c.x2 - c.x1, p, rop, s, v, m, backRop);
    }
  });
}

void BlendCoverage(Dest& d, int32_t x, int32_t y, int32_t w, int32_t h, const uint8_t* cov,
                   ptrdiff_t covStride, COLORREF color) {
  pixman_box32_t area{x, y, x + w, y + h};
  const Pixmap& pm = d.pm;
  uint32_t native = NativeFromColor(pm, color);
  uint32_t cr = GetRValue(color), cg = GetGValue(color), cb = GetBValue(color);
  ForClipped(d, area, [&](const pixman_box32_t& c) {
    for (int32_t yy = c.y1; yy < c.y2; ++yy) {
      const uint8_t* crow = cov + (yy - y) * covStride + (c.x1 - x);
      int32_t py = yy + d.offset.Y;
      if (pm.format == Format::Bgra32) {
        auto* row = reinterpret_cast<uint32_t*>(pm.Row(py)) + c.x1 + d.offset.X;
        for (int32_t i = 0; i < c.x2 - c.x1; ++i) {
          uint32_t a = crow[i];
          if (!a) continue;
          if (a == 255) {
            row[i] = native;
            continue;
          }
          uint32_t v = row[i];
          uint32_t r = (v >> 16) & 0xFF, g = (v >> 8) & 0xFF, b = v & 0xFF;
          auto mix = [a](uint32_t dst, uint32_t src) {
            uint32_t t = dst * (255 - a) + src * a + 128;
            return (t + (t >> 8)) >> 8;
          };
          row[i] = (mix(r, cr) << 16) | (mix(g, cg) << 8) | mix(b, cb);
        }
      } else {
        // A 24-bit target blends the coverage like a 32-bit one; palette and monochrome
        // targets take the pixels at least half covered.
        for (int32_t i = 0; i < c.x2 - c.x1; ++i) {
          uint32_t a = crow[i];
          if (!a || (a < 128 && pm.format != Format::Rgb24)) continue;
          if (pm.format == Format::Rgb24 && a < 255) {
            COLORREF old = ColorFromNative(pm, pm.Get(c.x1 + d.offset.X + i, py));
            auto mix = [a](uint32_t dst, uint32_t src) { return (dst * (255 - a) + src * a + 127) / 255; };
            pm.Put(
                c.x1 + d.offset.X + i, py,
                ColorToArgb(RGB(mix(GetRValue(old), cr), mix(GetGValue(old), cg), mix(GetBValue(old), cb))));
            continue;
          }
          pm.Put(c.x1 + d.offset.X + i, py, native);
        }
      }
    }
  });
}

}  // namespace qd::gdi
