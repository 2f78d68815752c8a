// Raster operations: PatBlt, FillRect and friends, BitBlt, StretchBlt, MaskBlt and DIB transfers.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/os/gdi_bitmap.h"
#include "platform/os/gdi_blit.h"
#include "platform/os/gdi_internal.h"
#include "platform/os/gdi_metafile.h"
#include "platform/os/gdi_region.h"

namespace qd::gdi {

Brush* BrushFromHandle(HBRUSH h) {
  // A system colour index + 1 in place of a brush, as window classes and FillRect accept.
  auto v = reinterpret_cast<uintptr_t>(h);
  if (v >= 1 && v <= 31) return Find<Brush>(SysColorBrushHandle(static_cast<int>(v - 1)));
  return Find<Brush>(h);
}

namespace {

// Converts native source values into native destination values.
struct SrcConv {
  const Pixmap* src;
  const Pixmap* dst;
  bool srcMono, dstMono, direct;
  uint32_t fg, bg;  // destination values for mono 0 / 1
  COLORREF srcBk;
  SrcConv(const Pixmap& s, const Pixmap& d, const Dc& dstDc, COLORREF sourceBk) : src(&s), dst(&d) {
    srcMono = s.format == Format::Mono;
    dstMono = d.format == Format::Mono;
    fg = NativeFromColor(d, dstDc.s.textColor);
    bg = NativeFromColor(d, dstDc.s.bkColor);
    srcBk = sourceBk & 0xFFFFFF;
    direct = (s.format == Format::Bgra32 && d.format == Format::Bgra32) ||
             (s.format == d.format && s.numColors == d.numColors &&
              (s.numColors == 0 || std::memcmp(s.colors, d.colors, sizeof(RGBQUAD) * s.numColors) == 0));
  }
  uint32_t operator()(uint32_t v) const {
    if (srcMono && dstMono) return v;
    if (srcMono) return v ? bg : fg;
    if (dstMono) return ColorFromNative(*src, v) == srcBk ? 1 : 0;
    if (direct) return v;
    return NativeFromColor(*dst, ColorFromNative(*src, v));
  }
};

// Source sample range along one axis for destination index i (0..dn-1) of a stretch.
inline void SampleRange(int64_t i, int64_t dn, int64_t sn, int64_t& a, int64_t& b) {
  a = i * sn / dn;
  b = (i + 1) * sn / dn;
  if (b <= a) b = a + 1;
}

bool SameMemory(const Pixmap& a, const Pixmap& b) {
  return a.top == b.top;
}

// One blit in device pixels.
struct BlitGeometry {
  RECT dest;            // destination rectangle, normalised
  pixman_box32_t area;  // the destination inside the clip's extents
  int32_t srcX, srcY;   // source corner
  int64_t srcW, srcH;   // source size (absolute)
  bool flipX, flipY;    // mirrored along an axis
  bool stretched;       // source and destination sizes differ
};

// Unstretched, unmirrored SRCCOPY between 32-bit pixels: whole rows are copied. Overlapping
// copies within one bitmap run in the direction that reads each pixel before it is written.
void CopyRows32(const Dest& d, const BlitSource& src, const BlitGeometry& g) {
  int32_t ox = g.srcX - g.dest.Left, oy = g.srcY - g.dest.Top;  // source device = dest device + o
  const pixman_box32_t& sb = src.bounds;
  pixman_box32_t a2{std::max(g.area.x1, sb.x1 - ox), std::max(g.area.y1, sb.y1 - oy),
                    std::min(g.area.x2, sb.x2 - ox), std::min(g.area.y2, sb.y2 - oy)};
  if (a2.x1 >= a2.x2 || a2.y1 >= a2.y2) return;
  Rgn r(a2);
  r.Intersect(d.clip);
  int n = 0;
  const pixman_box32_t* boxes = r.Boxes(&n);
  bool same = SameMemory(src.pm, d.pm);
  bool upward = same && (oy + src.offset.Y) < d.offset.Y;  // source above destination: copy bottom rows first
  for (int bi = 0; bi < n; ++bi) {
    const pixman_box32_t& c = upward ? boxes[n - 1 - bi] : boxes[bi];
    int32_t w = c.x2 - c.x1;
    for (int32_t k = 0; k < c.y2 - c.y1; ++k) {
      int32_t y = upward ? c.y2 - 1 - k : c.y1 + k;
      auto* dp = reinterpret_cast<uint32_t*>(d.pm.Row(y + d.offset.Y)) + c.x1 + d.offset.X;
      auto* sp =
          reinterpret_cast<const uint32_t*>(src.pm.Row(y + oy + src.offset.Y)) + c.x1 + ox + src.offset.X;
      if (src.pm.alphaIsData)
        std::memmove(dp, sp, static_cast<size_t>(w) * 4);
      else if (dp <= sp || dp >= sp + w)
        for (int32_t i = 0; i < w; ++i) dp[i] = sp[i] & 0xFFFFFF;
      else
        for (int32_t i = w - 1; i >= 0; --i) dp[i] = sp[i] & 0xFFFFFF;
    }
  }
}

// The mask bit (0 or 1) under each pixel of the area; outside the mask bitmap it is 0.
std::vector<uint8_t> MaskBits(const Pixmap& mask, int32_t mx, int32_t my, const BlitGeometry& g,
                              int32_t stride) {
  const pixman_box32_t& a = g.area;
  std::vector<uint8_t> bits(static_cast<size_t>(stride) * (a.y2 - a.y1), 0);
  for (int32_t y = a.y1; y < a.y2; ++y)
    for (int32_t x = a.x1; x < a.x2; ++x) {
      int32_t mxp = mx + (x - g.dest.Left), myp = my + (y - g.dest.Top);
      if (mxp >= 0 && myp >= 0 && mxp < mask.width && myp < mask.height)
        bits[static_cast<size_t>(y - a.y1) * stride + (x - a.x1)] =
            static_cast<uint8_t>(mask.Get(mxp, myp) & 1);
    }
  return bits;
}

// The source samples [a, b) for destination index i (0..dn-1) along one axis. A point sample
// takes the source pixel under the destination pixel's centre.
void AxisSamples(int64_t i, int64_t dn, int64_t sn, bool stretched, bool pointSample, int64_t& a,
                 int64_t& b) {
  if (!stretched) {
    a = i;
    b = i + 1;
  } else if (pointSample) {
    a = (2 * i + 1) * sn / (2 * dn);
    b = a + 1;
  } else {
    SampleRange(i, dn, sn, a, b);
  }
}

// HALFTONE: the average of the source pixels, in the destination's format.
uint32_t HalftoneAverage(const BlitSource& src, const Pixmap& dst, int64_t sx0, int64_t sy0, int64_t sx1,
                         int64_t sy1) {
  uint64_t acc[4] = {0, 0, 0, 0}, n = 0;
  for (int64_t py = sy0; py < sy1; ++py)
    for (int64_t px = sx0; px < sx1; ++px) {
      uint32_t s =
          src.pm.Get(static_cast<int32_t>(px + src.offset.X), static_cast<int32_t>(py + src.offset.Y));
      uint32_t argb = src.pm.format == Format::Bgra32 ? s : ColorToArgb(ColorFromNative(src.pm, s));
      acc[0] += argb & 0xFF;
      acc[1] += (argb >> 8) & 0xFF;
      acc[2] += (argb >> 16) & 0xFF;
      acc[3] += argb >> 24;
      ++n;
    }
  uint32_t argb =
      static_cast<uint32_t>((acc[0] + n / 2) / n) | static_cast<uint32_t>((acc[1] + n / 2) / n) << 8 |
      static_cast<uint32_t>((acc[2] + n / 2) / n) << 16 | static_cast<uint32_t>((acc[3] + n / 2) / n) << 24;
  if (dst.format == Format::Bgra32) return argb;
  if (dst.format == Format::Mono) return ArgbToColor(argb) == (src.bkColor & 0xFFFFFF) ? 1 : 0;
  return NativeFromColor(dst, ArgbToColor(argb));
}

// The source pixels [sx0, sx1) x [sy0, sy1) reduced to one destination value by the stretch mode.
uint32_t SampleSource(const BlitSource& src, const Pixmap& dst, const SrcConv& conv, int mode, int64_t sx0,
                      int64_t sy0, int64_t sx1, int64_t sy1) {
  auto get = [&](int64_t px, int64_t py) {
    return src.pm.Get(static_cast<int32_t>(px + src.offset.X), static_cast<int32_t>(py + src.offset.Y));
  };
  if (sx1 - sx0 == 1 && sy1 - sy0 == 1) return conv(get(sx0, sy0));
  if (mode == HALFTONE) return HalftoneAverage(src, dst, sx0, sy0, sx1, sy1);
  // BLACKONWHITE keeps black (AND of the dropped pixels), WHITEONBLACK keeps white (OR).
  bool andMode = mode != WHITEONBLACK;
  uint32_t accv = andMode ? 0xFFFFFFFF : 0;
  for (int64_t py = sy0; py < sy1; ++py)
    for (int64_t px = sx0; px < sx1; ++px) {
      uint32_t s = get(px, py);
      accv = andMode ? (accv & s) : (accv | s);
    }
  return conv(accv & NativeMask(src.pm.format) & (src.pm.alphaIsData ? 0xFFFFFFFF : 0xFFFFFF));
}

// Reads the source under every pixel of the area into img, converted to the destination's
// format; pixels whose sample falls outside the source are marked invalid (left untouched).
void ReadSource(Dc& dc, const Dest& d, const BlitSource& src, const BlitGeometry& g, SourceImage& img) {
  const pixman_box32_t& area = g.area;
  size_t count = static_cast<size_t>(img.stride) * (area.y2 - area.y1);
  img.px.assign(count, 0);
  SrcConv conv(src.pm, d.pm, dc, src.bkColor);
  const pixman_box32_t& sb = src.bounds;
  const int mode = dc.s.stretchMode;
  const int64_t Dw = g.dest.Right - g.dest.Left, Dh = g.dest.Bottom - g.dest.Top;
  const bool shrinking = g.stretched && (g.srcW > Dw || g.srcH > Dh);
  const bool pointSample = !shrinking || mode == COLORONCOLOR;
  bool anyInvalid = false;
  std::vector<uint8_t> valid(count, 1);
  for (int32_t y = area.y1; y < area.y2; ++y) {
    int64_t j = y - g.dest.Top;
    if (g.flipY) j = Dh - 1 - j;
    int64_t ya, yb;
    AxisSamples(j, Dh, g.srcH, g.stretched, pointSample, ya, yb);
    for (int32_t x = area.x1; x < area.x2; ++x) {
      size_t idx = static_cast<size_t>(y - area.y1) * img.stride + (x - area.x1);
      int64_t i = x - g.dest.Left;
      if (g.flipX) i = Dw - 1 - i;
      int64_t xa, xb;
      AxisSamples(i, Dw, g.srcW, g.stretched, pointSample, xa, xb);
      int64_t sx0 = g.srcX + xa, sy0 = g.srcY + ya;
      if (sx0 < sb.x1 || sy0 < sb.y1 || sx0 >= sb.x2 || sy0 >= sb.y2) {
        valid[idx] = 0;
        anyInvalid = true;
        continue;
      }
      int64_t sx1 = std::min<int64_t>(g.srcX + xb, sb.x2), sy1 = std::min<int64_t>(g.srcY + yb, sb.y2);
      img.px[idx] = SampleSource(src, d.pm, conv, mode, sx0, sy0, sx1, sy1);
    }
  }
  if (anyInvalid) img.valid = std::move(valid);
}

}  // namespace

BOOL DoBlit(Dc& dc, const RECT& destLogical, const BlitSource* src, int32_t sx, int32_t sy, int32_t sw,
            int32_t sh, DWORD rop, const Pixmap* mask, int32_t mx, int32_t my) {
  auto rop3 = static_cast<uint8_t>((rop >> 16) & 0xFF);
  auto back = static_cast<uint8_t>((rop >> 24) & 0xFF);
  bool usesS = RopUsesS(rop3) || (mask && RopUsesS(back));
  bool usesP = RopUsesP(rop3) || (mask && RopUsesP(back));
  if (usesS && !src) return FALSE;
  Dest d;
  if (!PrepareDest(dc, d)) return TRUE;
  Transform t = DeviceTransform(dc);
  int32_t dw = destLogical.Right - destLogical.Left, dh = destLogical.Bottom - destLogical.Top;
  RECT D = ToDeviceRect(t, Normalized(destLogical));
  if (D.IsEmpty()) return TRUE;
  Pattern pat;
  if (usesP && !MakePattern(d, CurrentBrush(dc), pat)) return TRUE;

  if (!usesS && !mask) {
    Rgn area(pixman_box32_t{D.Left, D.Top, D.Right, D.Bottom});
    if (t.IsAxisAligned())
      FillBox(d, area.Extents(), usesP ? &pat : nullptr, rop3);
    else
      FillRgn(d, LogicalRectToDevice(dc, Normalized(destLogical)), usesP ? &pat : nullptr, rop3);
    return TRUE;
  }

  BlitGeometry g;
  g.dest = D;
  g.flipX = ((dw < 0) != (sw < 0)) != (t.m11 < 0);
  // A mirrored DC mirrors the pictures put into it too, unless it keeps their orientation.
  const bool keep = (dc.s.layout & LAYOUT_BITMAPORIENTATIONPRESERVED) || (!mask && (rop & NOMIRRORBITMAP));
  if ((dc.s.layout & LAYOUT_RTL) && keep && t.m11 < 0) g.flipX = !g.flipX;
  g.flipY = ((dh < 0) != (sh < 0)) != (t.m22 < 0);
  // A negative source size counts back from the given pixel: sx + sw + 1 .. sx.
  g.srcX = sw < 0 ? sx + sw + 1 : sx;
  g.srcY = sh < 0 ? sy + sh + 1 : sy;
  g.srcW = std::abs(int64_t(sw));
  g.srcH = std::abs(int64_t(sh));
  if (usesS && (g.srcW == 0 || g.srcH == 0)) return TRUE;
  g.stretched = usesS && (g.srcW != D.Width() || g.srcH != D.Height());

  pixman_box32_t ce = d.clip.Extents();
  g.area = {std::max(D.Left, ce.x1), std::max(D.Top, ce.y1), std::min(D.Right, ce.x2),
            std::min(D.Bottom, ce.y2)};
  if (g.area.x1 >= g.area.x2 || g.area.y1 >= g.area.y2) return TRUE;

  if (usesS && !g.stretched && !g.flipX && !g.flipY && !mask && rop3 == 0xCC &&
      src->pm.format == Format::Bgra32 && d.pm.format == Format::Bgra32) {
    CopyRows32(d, *src, g);
    return TRUE;
  }

  SourceImage img;
  img.area = g.area;
  img.stride = g.area.x2 - g.area.x1;
  std::vector<uint8_t> maskBits;
  if (mask) maskBits = MaskBits(*mask, mx, my, g, img.stride);
  if (usesS) ReadSource(dc, d, *src, g, img);
  RopBlit(d, img, usesP ? &pat : nullptr, rop3, mask ? maskBits.data() : nullptr, back);
  return TRUE;
}

bool SourceOfDc(Dc& src, BlitSource& out) {
  auto pm = TargetOf(src, &out.offset);
  if (!pm) return false;
  out.pm = *pm;
  out.bounds = DeviceBounds(src);
  out.bkColor = src.s.bkColor;
  return true;
}

}  // namespace qd::gdi

namespace qd {
using namespace gdi;

namespace {

// A rectangle given by a corner and sizes; a negative size counts back from the corner pixel
// (x + w + 1 .. x), as mirrored stretches are written.
RECT MirrorRect(int x, int y, int w, int h) {
  RECT r;
  r.Left = w < 0 ? AddC(int64_t(x) + w, 1) : ClampCoord(x);
  r.Right = w < 0 ? AddC(x, 1) : AddC(x, w);
  r.Top = h < 0 ? AddC(int64_t(y) + h, 1) : ClampCoord(y);
  r.Bottom = h < 0 ? AddC(y, 1) : AddC(y, h);
  return r;
}

// The destination of a stretch as DoBlit wants it: normalised, with the sign kept for mirroring.
RECT DestRect(int x, int y, int w, int h) {
  RECT n = MirrorRect(x, y, w, h);
  if (w < 0) std::swap(n.Left, n.Right);
  if (h < 0) std::swap(n.Top, n.Bottom);
  return n;
}

// Logical source rectangle of a DC -> device (signed width/height keep mirroring).
void SourceRect(Dc& src, int xs, int ys, int ws, int hs, int32_t& sx, int32_t& sy, int32_t& sw, int32_t& sh) {
  Transform t = DeviceTransform(src);
  RECT n = MirrorRect(xs, ys, ws, hs);
  RECT dr = ToDeviceRect(t, n);
  sx = dr.Left;
  sy = dr.Top;
  sw = dr.Width();
  sh = dr.Height();
  // A mirrored source reads its pixels right to left unless it keeps the orientation.
  const bool mirrored =
      t.m11 < 0 && !((src.s.layout & LAYOUT_RTL) && (src.s.layout & LAYOUT_BITMAPORIENTATIONPRESERVED));
  if ((ws < 0) != mirrored) {
    sx = dr.Right - 1;
    sw = -sw;
  }
  if ((hs < 0) != (t.m22 < 0)) {
    sy = dr.Bottom - 1;
    sh = -sh;
  }
}

BOOL Blit(HDC dest, int xd, int yd, int wd, int hd, HDC hsrc, int xs, int ys, int ws, int hs, DWORD rop,
          HBITMAP mask, int xm, int ym) {
  Dc* dc = FindDc(dest);
  if (!dc) return FALSE;
  auto rop3 = static_cast<uint8_t>((rop >> 16) & 0xFF);
  auto back = static_cast<uint8_t>((rop >> 24) & 0xFF);
  Pixmap maskPm;
  const Pixmap* maskPtr = nullptr;
  if (mask) {
    Bitmap* m = Find<Bitmap>(mask);
    if (!m || m->format != Format::Mono) return FALSE;
    maskPm = m->View();
    maskPtr = &maskPm;
  }
  bool usesS = RopUsesS(rop3) || (maskPtr && RopUsesS(back));
  if (dc->meta)
    MetaRecordBlt(*dc, xd, yd, wd, hd, usesS ? hsrc : nullptr, xs, ys, ws, hs, rop & 0x00FFFFFF, nullptr);
  RECT destRect = DestRect(xd, yd, wd, hd);
  if (!usesS) return DoBlit(*dc, destRect, nullptr, 0, 0, 0, 0, rop, maskPtr, xm, ym);
  Dc* src = FindDc(hsrc);
  if (!src) return FALSE;
  BlitSource bs;
  if (!SourceOfDc(*src, bs)) return FALSE;
  int32_t sx, sy, sw, sh;
  SourceRect(*src, xs, ys, ws, hs, sx, sy, sw, sh);
  return DoBlit(*dc, destRect, &bs, sx, sy, sw, sh, rop, maskPtr, xm, ym);
}

}  // namespace

BOOL PatBlt(HDC h, int x, int y, int width, int height, DWORD rop) {
  auto rop3 = static_cast<uint8_t>((rop >> 16) & 0xFF);
  if (RopUsesS(rop3)) return FALSE;
  Dc* dc = FindDc(h);
  if (!dc) return FALSE;
  if (dc->meta) {
    RECT r{ClampCoord(x), ClampCoord(y), AddC(x, width), AddC(y, height)};
    MetaRecordBrushRects(*dc, nullptr, &r, 1, rop);
  }
  return DoBlit(*dc, {ClampCoord(x), ClampCoord(y), AddC(x, width), AddC(y, height)}, nullptr, 0, 0, 0, 0,
                rop, nullptr, 0, 0);
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, DWORD rop) {
  return Blit(dest, x, y, width, height, src, xSrc, ySrc, width, height, rop, nullptr, 0, 0);
}

BOOL StretchBlt(HDC dest, int xDest, int yDest, int destWidth, int destHeight, HDC src, int xSrc, int ySrc,
                int srcWidth, int srcHeight, DWORD rop) {
  return Blit(dest, xDest, yDest, destWidth, destHeight, src, xSrc, ySrc, srcWidth, srcHeight, rop, nullptr,
              0, 0);
}

BOOL MaskBlt(HDC dest, int xDest, int yDest, int width, int height, HDC src, int xSrc, int ySrc, HBITMAP mask,
             int xMask, int yMask, DWORD rop) {
  if (!mask)
    return Blit(dest, xDest, yDest, width, height, src, xSrc, ySrc, width, height, rop & 0x00FFFFFF, nullptr,
                0, 0);
  return Blit(dest, xDest, yDest, width, height, src, xSrc, ySrc, width, height, rop, mask, xMask, yMask);
}

int FillRect(HDC h, const RECT* rect, HBRUSH brush) {
  Dc* dc = FindDc(h);
  Brush* b = BrushFromHandle(brush);
  if (!dc || !rect || !b) return 0;
  if (rect->Right <= rect->Left || rect->Bottom <= rect->Top) return 1;
  if (dc->meta) MetaRecordBrushRects(*dc, brush, rect, 1, PATCOPY);
  Dest d;
  if (!PrepareDest(*dc, d)) return 1;
  Pattern p;
  if (!MakePattern(d, b, p)) return 1;
  Transform t = DeviceTransform(*dc);
  if (t.IsAxisAligned()) {
    RECT r = ToDeviceRect(t, *rect);
    FillBox(d, {r.Left, r.Top, r.Right, r.Bottom}, &p, 0xF0);
  } else {
    FillRgn(d, LogicalRectToDevice(*dc, *rect), &p, 0xF0);
  }
  return 1;
}

int FrameRect(HDC h, const RECT* rect, HBRUSH brush) {
  Dc* dc = FindDc(h);
  Brush* b = BrushFromHandle(brush);
  if (!dc || !rect || !b) return 0;
  const RECT r = ClampRect(*rect);
  if (r.Right <= r.Left || r.Bottom <= r.Top) return 1;
  if (dc->meta) {
    RECT sides[4] = {{r.Left, r.Top, r.Right, r.Top + 1},
                     {r.Left, r.Bottom - 1, r.Right, r.Bottom},
                     {r.Left, r.Top, r.Left + 1, r.Bottom},
                     {r.Right - 1, r.Top, r.Right, r.Bottom}};
    MetaRecordBrushRects(*dc, brush, sides, 4, PATCOPY);
  }
  Dest d;
  if (!PrepareDest(*dc, d)) return 1;
  Pattern p;
  if (!MakePattern(d, b, p)) return 1;
  RECT bands[4] = {{r.Left, r.Top, r.Right, r.Top + 1},
                   {r.Left, r.Bottom - 1, r.Right, r.Bottom},
                   {r.Left, r.Top, r.Left + 1, r.Bottom},
                   {r.Right - 1, r.Top, r.Right, r.Bottom}};
  Rgn all;
  for (const RECT& band : bands) all.Union(LogicalRectToDevice(*dc, band));
  FillRgn(d, all, &p, 0xF0);
  return 1;
}

BOOL InvertRect(HDC h, const RECT* rect) {
  if (!rect) return FALSE;
  RECT r = ClampRect(*rect);
  if (r.Right <= r.Left || r.Bottom <= r.Top) return FindDc(h) ? TRUE : FALSE;
  return PatBlt(h, r.Left, r.Top, r.Width(), r.Height(), DSTINVERT);
}

int StretchDIBits(HDC h, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                  int srcWidth, int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage,
                  DWORD rop) {
  Dc* dc = FindDc(h);
  if (!dc || !bits) return 0;
  DibInfo di;
  if (!ParseDib(info, usage, dc, di)) return 0;
  if (dc->meta)
    MetaRecordDib(*dc, xDest, yDest, destWidth, destHeight, xSrc, ySrc, srcWidth, srcHeight, bits, info,
                  usage, rop);
  std::vector<uint8_t> temp;
  BlitSource bs;
  if (!DibRows(di, bits, 0, di.height, temp, bs.pm)) return 0;
  if (!di.topDown) {
    // Stored bottom row first: view it top-down.
    bs.pm.top = bs.pm.top + bs.pm.stride * (di.height - 1);
    bs.pm.stride = -bs.pm.stride;
  }
  bs.bounds = {0, 0, di.width, di.height};
  bs.bkColor = dc->s.bkColor;
  // A bottom-up DIB measures the source rectangle from its lower-left corner.
  int32_t sx = ClampCoord(xSrc), sw = ClampCoord(srcWidth), sh = ClampCoord(srcHeight);
  int32_t sy = di.topDown ? ClampCoord(ySrc) : ClampCoord(int64_t(di.height) - ySrc - srcHeight);
  if (!DoBlit(*dc, DestRect(xDest, yDest, destWidth, destHeight), &bs, sx, sy, sw, sh, rop, nullptr, 0, 0))
    return 0;
  return static_cast<int>(std::min<int64_t>(std::llabs(int64_t(srcHeight)), INT32_MAX));
}

int SetDIBitsToDevice(HDC h, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc,
                      UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage) {
  Dc* dc = FindDc(h);
  if (!dc || !bits) return 0;
  DibInfo di;
  if (!ParseDib(info, usage, dc, di)) return 0;
  if (startScan >= static_cast<UINT>(di.height)) return 0;
  auto rows = static_cast<int32_t>(std::min<UINT>(lines, static_cast<UINT>(di.height) - startScan));
  std::vector<uint8_t> temp;
  BlitSource bs;
  if (!DibRows(di, bits, 0, rows, temp, bs.pm)) return 0;
  int32_t bandTop;  // image row of the band's first view row
  if (di.topDown) {
    bandTop = static_cast<int32_t>(startScan);
  } else {
    bs.pm.top = bs.pm.top + bs.pm.stride * (rows - 1);
    bs.pm.stride = -bs.pm.stride;
    bandTop = di.height - static_cast<int32_t>(startScan) - rows;
  }
  bs.offset = {0, -bandTop};
  bs.bounds = {0, bandTop, di.width, bandTop + rows};
  bs.bkColor = dc->s.bkColor;
  auto w = static_cast<int32_t>(std::min<DWORD>(width, 1u << 27));
  auto ht = static_cast<int32_t>(std::min<DWORD>(height, 1u << 27));
  int32_t top = di.topDown ? ClampCoord(ySrc) : ClampCoord(int64_t(di.height) - ySrc - ht);
  if (!DoBlit(*dc, {ClampCoord(xDest), ClampCoord(yDest), AddC(xDest, w), AddC(yDest, ht)}, &bs,
              ClampCoord(xSrc), ClampCoord(top), w, ht, SRCCOPY, nullptr, 0, 0))
    return 0;
  return rows;
}

}  // namespace qd
