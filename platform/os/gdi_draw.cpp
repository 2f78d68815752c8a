// Lines and shapes with GDI's pixel rules: lines leave out their last point, outlines of
// rectangles, ellipses and round rectangles stay inside the bounding box, and a shape drawn
// without a pen is one pixel smaller. Pens and shape fills use the DC's binary ROP.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/os/gdi_draw.h"
#include "platform/os/gdi_internal.h"
#include "platform/os/gdi_metafile.h"
#include "platform/os/gdi_region.h"

namespace qd::gdi {

namespace {

// Appends a one-pixel box, merging it with the previous box of the same row.
void AddPixel(Boxes& b, int32_t x, int32_t y) {
  if (!b.empty()) {
    pixman_box32_t& last = b.back();
    if (last.y1 == y && last.y2 == y + 1) {
      if (last.x2 == x) {
        last.x2 = x + 1;
        return;
      }
      if (last.x1 == x + 1) {
        last.x1 = x;
        return;
      }
    }
  }
  b.push_back({x, y, x + 1, y + 1});
}

// Dash patterns of cosmetic pens, in pixels: on, off, on, off...
std::vector<DWORD> StylePattern(const Pen& pen) {
  switch (pen.Style()) {
    case PS_DASH:
      return {18, 6};
    case PS_DOT:
      return {3, 3};
    case PS_DASHDOT:
      return {9, 6, 3, 6};
    case PS_DASHDOTDOT:
      return {9, 3, 3, 3, 3, 3};
    case PS_ALTERNATE:
      return {1, 1};
    case PS_USERSTYLE:
      return pen.userStyle;
    default:
      return {};
  }
}

// Dash pattern of a geometric pen in device pixels (empty: solid). The standard styles scale
// with the pen's width; user styles are in logical units.
std::vector<double> GeometricPattern(const Pen& pen, int32_t width, double scale) {
  std::vector<double> out;
  switch (pen.Style()) {
    case PS_DASH:
      out = {3, 1};
      break;
    case PS_DOT:
      out = {1, 1};
      break;
    case PS_DASHDOT:
      out = {3, 1, 1, 1};
      break;
    case PS_DASHDOTDOT:
      out = {3, 1, 1, 1, 1, 1};
      break;
    case PS_USERSTYLE:
      for (DWORD v : pen.userStyle) out.push_back(v * scale);
      break;
    default:
      return {};
  }
  if (pen.Style() != PS_USERSTYLE)
    for (double& v : out) v *= width;
  double total = 0;
  for (double v : out) total += v;
  if (!(total >= 1)) return {};  // a pattern without length draws solid
  return out;
}

// The dashes of a pattern along paths (the pattern runs on across corners), as open paths.
std::vector<std::vector<PointD>> DashPaths(const std::vector<std::vector<PointD>>& paths, bool closed,
                                           const std::vector<double>& pattern) {
  std::vector<std::vector<PointD>> dashes;
  // Enough dashes to cover any visible line; a longer path is left solid past this count.
  constexpr size_t kMaxDashes = 1 << 16;
  for (const auto& path : paths) {
    size_t n = path.size();
    if (n < 2) continue;
    size_t part = 0;
    double left = pattern[0];
    bool on = true;
    std::vector<PointD> current{path[0]};
    size_t segs = closed ? n : n - 1;
    for (size_t i = 0; i < segs; ++i) {
      PointD a = path[i], b = path[(i + 1) % n];
      double len = std::hypot(b.x - a.x, b.y - a.y), done = 0;
      while (len - done > left && dashes.size() < kMaxDashes) {
        done += left;
        PointD p{a.x + (b.x - a.x) * done / len, a.y + (b.y - a.y) * done / len};
        if (on) {
          current.push_back(p);
          dashes.push_back(std::move(current));
          current.clear();
        } else {
          current = {p};
        }
        on = !on;
        part = (part + 1) % pattern.size();
        left = pattern[part];
      }
      left -= len - done;
      if (on) current.push_back(b);
    }
    if (on && current.size() >= 2) dashes.push_back(std::move(current));
  }
  return dashes;
}

void Disc(double cx, double cy, double w, Boxes& out, const pixman_box32_t* window) {
  auto l = static_cast<int32_t>(std::floor(cx - w / 2 + 0.5));
  auto t = static_cast<int32_t>(std::floor(cy - w / 2 + 0.5));
  int32_t size = RoundCoord(w);
  if (size < 1) size = 1;
  RasterEllipse(l, t, l + size, t + size, &out, nullptr, window);
}

}  // namespace

int32_t PenDeviceWidth(const Dc& dc, const Pen& pen) {
  if (pen.ext && (pen.style & PS_TYPE_MASK) == PS_COSMETIC) return 1;
  if (pen.width <= 1) return 1;
  Transform t = DeviceTransform(dc);
  double scale = std::sqrt(std::fabs(t.m11 * t.m22 - t.m12 * t.m21));
  return std::clamp(RoundCoord(pen.width * scale), 1, 1 << 16);
}

void StrokeGeometry(const Dc& dc, const pixman_box32_t& window, const std::vector<std::vector<PointD>>& paths,
                    bool closed, Boxes& on, Boxes& off) {
  Pen* pen = CurrentPen(dc);
  if (!pen || pen->Style() == PS_NULL) return;
  int32_t w = PenDeviceWidth(dc, *pen);
  if (w <= 1) {
    std::vector<DWORD> pattern = StylePattern(*pen);
    int64_t patternLength = 0;
    for (DWORD v : pattern) patternLength += v;
    size_t part = 0;
    DWORD left = pattern.empty() ? 0 : pattern[0];
    for (const auto& path : paths) {
      size_t n = path.size();
      if (n < 2) continue;
      size_t segs = closed ? n : n - 1;
      for (size_t i = 0; i < segs; ++i) {
        const PointD& a = path[i];
        const PointD& b = path[(i + 1) % n];
        int32_t x0 = RoundCoord(a.x), y0 = RoundCoord(a.y), x1 = RoundCoord(b.x), y1 = RoundCoord(b.y);
        int64_t done = 0;  // steps of this segment the pattern has advanced over
        auto advance = [&](int64_t steps) {
          if (pattern.empty() || steps <= 0) return;
          steps %= std::max<int64_t>(patternLength, 1) * 2;
          for (int64_t k = 0; k < steps; ++k) {
            if (left > 0) --left;
            while (left == 0) {
              part = (part + 1) % pattern.size();
              left = pattern[part];
              if (patternLength == 0) break;
            }
          }
        };
        int64_t steps = std::max(std::llabs(int64_t(x1) - x0), std::llabs(int64_t(y1) - y0));
        WalkLine(x0, y0, x1, y1, window, [&](int32_t x, int32_t y, int64_t i) {
          advance(i - done);
          done = i;
          if (pattern.empty()) {
            AddPixel(on, x, y);
            return;
          }
          AddPixel(part % 2 == 0 ? on : off, x, y);
          advance(1);
          done = i + 1;
        });
        advance(steps - done);
      }
    }
  } else {
    DWORD cap = pen->style & PS_ENDCAP_MASK, join = pen->style & PS_JOIN_MASK;
    if (!pen->ext) cap = PS_ENDCAP_ROUND, join = PS_JOIN_ROUND;
    double half = w / 2.0;
    std::vector<std::vector<PointD>> dashed;
    if (pen->ext) {
      Transform t = DeviceTransform(dc);
      std::vector<double> pattern =
          GeometricPattern(*pen, w, std::sqrt(std::fabs(t.m11 * t.m22 - t.m12 * t.m21)));
      if (!pattern.empty()) {
        // Every dash is an open line with the pen's end caps.
        dashed = DashPaths(paths, closed, pattern);
        closed = false;
      }
    }
    for (const auto& path : dashed.empty() ? paths : dashed) {
      size_t n = path.size();
      if (n == 0) continue;
      if (n == 1) {
        if (cap == PS_ENDCAP_ROUND) Disc(path[0].x + 0.5, path[0].y + 0.5, w, on, &window);
        continue;
      }
      size_t segs = closed ? n : n - 1;
      std::vector<std::vector<PointD>> quads;
      for (size_t i = 0; i < segs; ++i) {
        PointD a = path[i], b = path[(i + 1) % n];
        a.x += 0.5, a.y += 0.5, b.x += 0.5, b.y += 0.5;  // pixel centres
        double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
        if (len == 0) continue;
        double ux = dx / len, uy = dy / len, nx = -uy * half, ny = ux * half;
        bool first = !closed && i == 0, last = !closed && i + 1 == segs;
        PointD a2 = a, b2 = b;
        if (cap == PS_ENDCAP_SQUARE) {
          if (first) a2 = {a.x - ux * half, a.y - uy * half};
          if (last) b2 = {b.x + ux * half, b.y + uy * half};
        }
        quads.push_back(
            {{a2.x + nx, a2.y + ny}, {b2.x + nx, b2.y + ny}, {b2.x - nx, b2.y - ny}, {a2.x - nx, a2.y - ny}});
        bool roundEnd = (first || last) && cap == PS_ENDCAP_ROUND;
        if (roundEnd && first) Disc(a.x, a.y, w, on, &window);
        if (roundEnd && last) Disc(b.x, b.y, w, on, &window);
      }
      for (size_t i = 0; i < n; ++i) {
        bool inner = closed || (i > 0 && i + 1 < n);
        if (!inner) continue;
        if (join == PS_JOIN_ROUND) {
          Disc(path[i].x + 0.5, path[i].y + 0.5, w, on, &window);
        } else {
          // Bevel (and miter, drawn as bevel): the triangle between the two segment ends.
          const PointD& p = path[i];
          const PointD& prev = path[(i + n - 1) % n];
          const PointD& next = path[(i + 1) % n];
          auto normal = [&](const PointD& a, const PointD& b) {
            double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
            return len == 0 ? PointD{0, 0} : PointD{-dy / len * half, dx / len * half};
          };
          PointD n1 = normal(prev, p), n2 = normal(p, next), c{p.x + 0.5, p.y + 0.5};
          quads.push_back({{c.x + n1.x, c.y + n1.y}, {c.x + n2.x, c.y + n2.y}, c});
          quads.push_back({{c.x - n1.x, c.y - n1.y}, {c.x - n2.x, c.y - n2.y}, c});
        }
      }
      RasterPolygon(quads, true, on, &window);
    }
  }
}

void StrokePaths(Dc& dc, Dest& d, const std::vector<std::vector<PointD>>& paths, bool closed) {
  Pen* pen = CurrentPen(dc);
  if (!pen || pen->Style() == PS_NULL) return;
  Boxes on, off;
  StrokeGeometry(dc, d.clipBox, paths, closed, on, off);
  uint8_t rop = Rop2ToRop3(dc.s.rop2);
  Rgn onRgn(on.data(), static_cast<int>(on.size()));
  if (!off.empty() && dc.s.bkMode == OPAQUE) {
    Rgn offRgn(off.data(), static_cast<int>(off.size()));
    offRgn.Subtract(onRgn);
    Pattern bk = SolidPattern(d, dc.s.bkColor);
    FillRgn(d, offRgn, &bk, rop);
  }
  Pattern p = SolidPattern(d, PenColor(dc, *pen));
  FillRgn(d, onRgn, &p, rop);
}

void FillShape(Dc& dc, Dest& d, const Rgn& area) {
  Pattern p;
  if (!MakePattern(d, CurrentBrush(dc), p)) return;
  FillRgn(d, area, &p, Rop2ToRop3(dc.s.rop2));
}

void PenShape(Dc& dc, Dest& d, const Rgn& area) {
  Pen* pen = CurrentPen(dc);
  if (!pen || pen->Style() == PS_NULL) return;
  Pattern p = SolidPattern(d, PenColor(dc, *pen));
  FillRgn(d, area, &p, Rop2ToRop3(dc.s.rop2));
}

std::vector<PointD> DevicePoints(const Transform& t, const POINT* pts, size_t n) {
  std::vector<PointD> out(n);
  for (size_t i = 0; i < n; ++i) {
    POINT p = ToDevice(t, pts[i].X, pts[i].Y);
    out[i] = {static_cast<double>(p.X), static_cast<double>(p.Y)};
  }
  return out;
}

}  // namespace qd::gdi

namespace qd {
using namespace gdi;

namespace {

template <class F>
BOOL WithDest(HDC h, F&& f) {
  Dc* dc = FindDc(h);
  if (!dc) return FALSE;
  Dest d;
  bool ok = PrepareDest(*dc, d);
  f(*dc, d, ok);
  return TRUE;
}

BOOL DrawPolyline(HDC h, std::vector<std::vector<POINT>> paths, bool closed, bool connect = false) {
  if (Dc* dc = FindDc(h); dc && dc->path.open) {
    Transform t = DeviceTransform(*dc);
    for (auto& p : paths) PathAdd(*dc, DevicePoints(t, p.data(), p.size()), closed, connect);
    return TRUE;
  }
  return WithDest(h, [&](Dc& dc, Dest& d, bool ok) {
    if (!ok) return;
    Transform t = DeviceTransform(dc);
    std::vector<std::vector<PointD>> dev;
    for (auto& p : paths) dev.push_back(DevicePoints(t, p.data(), p.size()));
    StrokePaths(dc, d, dev, closed);
  });
}

// The bounding box of a shape in device pixels; a shape in GM_ADVANCED includes its right
// and bottom edges.
RECT ShapeBox(const Dc& dc, int l, int t, int r, int b) {
  RECT n = Normalized(ClampRect({l, t, r, b}));
  if (dc.s.graphicsMode == GM_ADVANCED) {
    n.Right += 1;
    n.Bottom += 1;
  }
  return ToDeviceRect(DeviceTransform(dc), n);
}

enum class Figure { Rect, Round, Ellipse };

Rgn FigureRgn(Figure f, const RECT& r, int32_t cw, int32_t ch, bool outlineOnly,
              const pixman_box32_t* window) {
  Boxes fill, outline;
  switch (f) {
    case Figure::Rect:
      if (r.IsEmpty()) return Rgn();
      if (outlineOnly) {
        Rgn all(pixman_box32_t{r.Left, r.Top, r.Right, r.Bottom});
        all.Subtract(Rgn(pixman_box32_t{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}));
        return all;
      }
      return Rgn(pixman_box32_t{r.Left, r.Top, r.Right, r.Bottom});
    case Figure::Round:
      RasterRoundRect(r.Left, r.Top, r.Right, r.Bottom, cw, ch, &fill, &outline, window);
      break;
    case Figure::Ellipse:
      RasterEllipse(r.Left, r.Top, r.Right, r.Bottom, &fill, &outline, window);
      break;
  }
  Boxes& b = outlineOnly ? outline : fill;
  return Rgn(b.data(), static_cast<int>(b.size()));
}

// Draws a rectangle, round rectangle or ellipse: brush inside, pen outline.
// The outline of a figure as a polygon in device coordinates (for paths).
std::vector<PointD> FigurePolygon(Figure f, const RECT& box, double cw, double ch) {
  double l = box.Left, t = box.Top, r = box.Right, b = box.Bottom;
  if (f == Figure::Rect) return {{l, t}, {r, t}, {r, b}, {l, b}};
  if (f == Figure::Ellipse) {
    cw = r - l;
    ch = b - t;
  }
  cw = std::min(cw, r - l);
  ch = std::min(ch, b - t);
  double rx = cw / 2, ry = ch / 2;
  int n = std::clamp(static_cast<int>(rx + ry), 4, 256);
  std::vector<PointD> out;
  // Quarter arcs at the corners, counter-clockwise from the right-hand side.
  const PointD centres[4] = {{r - rx, t + ry}, {l + rx, t + ry}, {l + rx, b - ry}, {r - rx, b - ry}};
  for (int q = 0; q < 4; ++q)
    for (int k = 0; k <= n; ++k) {
      double ang = (q + double(k) / n) * std::numbers::pi / 2;
      out.push_back({centres[q].x + rx * std::cos(ang), centres[q].y - ry * std::sin(ang)});
    }
  return out;
}

BOOL DrawFigure(HDC h, Figure f, int l, int t, int r, int b, int cw, int ch) {
  if (Dc* dc = FindDc(h); dc && dc->path.open) {
    Transform tr = DeviceTransform(*dc);
    if (tr.IsAxisAligned()) {
      RECT box = ShapeBox(*dc, l, t, r, b);
      double s = std::sqrt(std::fabs(tr.m11 * tr.m22));
      PathAdd(*dc, FigurePolygon(f, box, std::fabs(double(cw)) * s, std::fabs(double(ch)) * s), true, false);
    } else {
      RECT n = Normalized(ClampRect({l, t, r, b}));
      std::vector<PointD> poly = FigurePolygon(f, n, std::fabs(double(cw)), std::fabs(double(ch)));
      for (auto& p : poly) p = {p.x * tr.m11 + p.y * tr.m21 + tr.dx, p.x * tr.m12 + p.y * tr.m22 + tr.dy};
      PathAdd(*dc, std::move(poly), true, false);
    }
    return TRUE;
  }
  return WithDest(h, [&](Dc& dc, Dest& d, bool ok) {
    if (!ok) return;
    Transform tr = DeviceTransform(dc);
    if (!tr.IsAxisAligned()) {
      // Rotated: draw the figure as a polygon.
      RECT n = Normalized(ClampRect({l, t, r, b}));
      std::vector<PointD> poly;
      double cx = (n.Left + n.Right) / 2.0, cy = (n.Top + n.Bottom) / 2.0, a = n.Width() / 2.0,
             bb = n.Height() / 2.0;
      if (f == Figure::Rect) {
        poly = {{double(n.Left), double(n.Top)},
                {double(n.Right), double(n.Top)},
                {double(n.Right), double(n.Bottom)},
                {double(n.Left), double(n.Bottom)}};
      } else {
        for (int i = 0; i < 64; ++i) {
          double th = i * 2 * std::numbers::pi / 64;
          poly.push_back({cx + a * std::cos(th), cy + bb * std::sin(th)});
        }
      }
      for (auto& p : poly) p = {p.x * tr.m11 + p.y * tr.m21 + tr.dx, p.x * tr.m12 + p.y * tr.m22 + tr.dy};
      Boxes fill;
      RasterPolygon({poly}, true, fill, &d.clipBox);
      FillShape(dc, d, Rgn(fill.data(), static_cast<int>(fill.size())));
      StrokePaths(dc, d, {poly}, true);
      return;
    }
    RECT box = ShapeBox(dc, l, t, r, b);
    if (box.IsEmpty()) return;
    double scale = std::sqrt(std::fabs(tr.m11 * tr.m22));
    int32_t dcw = RoundCoord(std::fabs(double(cw)) * scale);
    int32_t dch = RoundCoord(std::fabs(double(ch)) * scale);
    Pen* pen = CurrentPen(dc);
    bool noPen = !pen || pen->Style() == PS_NULL;
    if (noPen) {
      RECT inner = {box.Left, box.Top, box.Right - 1, box.Bottom - 1};
      FillShape(dc, d, FigureRgn(f, inner, dcw, dch, false, &d.clipBox));
      return;
    }
    int32_t w = PenDeviceWidth(dc, *pen);
    if (w <= 1 && pen->Style() != PS_SOLID && pen->Style() != PS_INSIDEFRAME) {
      // Styled one-pixel pens: rectangles follow their path with the dash pattern; curved
      // figures draw their outline solid.
      Rgn interior = FigureRgn(f, box, dcw, dch, false, &d.clipBox);
      interior.Subtract(FigureRgn(f, box, dcw, dch, true, &d.clipBox));
      FillShape(dc, d, interior);
      if (f == Figure::Rect) {
        std::vector<PointD> path = {{double(box.Left), double(box.Top)},
                                    {double(box.Right - 1), double(box.Top)},
                                    {double(box.Right - 1), double(box.Bottom - 1)},
                                    {double(box.Left), double(box.Bottom - 1)}};
        StrokePaths(dc, d, {path}, true);
      } else {
        PenShape(dc, d, FigureRgn(f, box, dcw, dch, true, &d.clipBox));
      }
      return;
    }
    RECT outer = box;
    if (w > 1 && pen->Style() != PS_INSIDEFRAME)
      outer = RectInflate(box, (w - 1) / 2, (w - 1) / 2, w / 2, w / 2);
    Rgn all = FigureRgn(f, outer, dcw + (outer.Width() - box.Width()), dch + (outer.Height() - box.Height()),
                        false, &d.clipBox);
    Rgn interior;
    if (w <= 1) {
      interior = all;
      interior.Subtract(FigureRgn(f, outer, dcw, dch, true, &d.clipBox));
    } else {
      RECT in = RectInflate(outer, -w, -w, -w, -w);
      interior = FigureRgn(f, in, std::max(dcw - w, 0), std::max(dch - w, 0), false, &d.clipBox);
    }
    Rgn band = all;
    band.Subtract(interior);
    FillShape(dc, d, interior);
    PenShape(dc, d, band);
  });
}

// Arcs: angles counter-clockwise from the x axis (y up), in radians in [0, 2pi).
double AngleOf(double dx, double dy) {
  double a = std::atan2(-dy, dx);
  return a < 0 ? a + 2 * std::numbers::pi : a;
}

bool InSweep(double a, double start, double sweep) {
  double rel = a - start;
  while (rel < 0) rel += 2 * std::numbers::pi;
  while (rel >= 2 * std::numbers::pi) rel -= 2 * std::numbers::pi;
  return rel <= sweep + 1e-9;
}

enum class ArcKind { Arc, Pie, Chord };

BOOL DrawArc(HDC h, ArcKind kind, int l, int t, int r, int b, int x1, int y1, int x2, int y2, bool moveTo) {
  return WithDest(h, [&](Dc& dc, Dest& d, bool ok) {
    Transform tr = DeviceTransform(dc);
    RECT box = ShapeBox(dc, l, t, r, b);
    POINT s = ToDevice(tr, x1, y1), e = ToDevice(tr, x2, y2);
    double cx = (box.Left + box.Right) / 2.0, cy = (box.Top + box.Bottom) / 2.0;
    double a = box.Width() / 2.0, bb = box.Height() / 2.0;
    bool ccw = dc.s.arcDirection == AD_COUNTERCLOCKWISE;
    if (tr.m11 * tr.m22 - tr.m12 * tr.m21 < 0) ccw = !ccw;  // mirrored: the visible direction flips
    double as = AngleOf(s.X - cx, s.Y - cy), ae = AngleOf(e.X - cx, e.Y - cy);
    if (!ccw) std::swap(as, ae);
    double sweep = ae - as;
    if (sweep <= 0) sweep += 2 * std::numbers::pi;
    auto onEllipse = [&](double ang) {
      double c = std::cos(ang), sn = std::sin(ang);
      double rr = (a == 0 || bb == 0) ? 0 : a * bb / std::sqrt(bb * bb * c * c + a * a * sn * sn);
      return PointD{std::floor(cx + rr * c), std::floor(cy - rr * sn)};
    };
    PointD ps = onEllipse(ccw ? as : ae), pe = onEllipse(ccw ? ae : as);
    if (dc.path.open) {
      // Record the arc as points from the start in the drawing direction.
      std::vector<PointD> fig;
      if (moveTo) {
        POINT cur = ToDevice(tr, dc.s.curPos.X, dc.s.curPos.Y);
        fig.push_back({double(cur.X), double(cur.Y)});
      }
      if (kind == ArcKind::Pie) fig.push_back({cx, cy});
      int n = std::clamp(static_cast<int>((a + bb) * sweep / 2), 8, 1024);
      for (int k = 0; k <= n; ++k) {
        double ang = ccw ? as + sweep * k / n : ae - sweep * k / n;
        double c = std::cos(ang), sn = std::sin(ang);
        double rr = (a == 0 || bb == 0) ? 0 : a * bb / std::sqrt(bb * bb * c * c + a * a * sn * sn);
        fig.push_back({cx + rr * c, cy - rr * sn});
      }
      PathAdd(dc, std::move(fig), kind != ArcKind::Arc, moveTo);
    }
    if (moveTo && ok && !dc.path.open) {
      POINT cur = ToDevice(tr, dc.s.curPos.X, dc.s.curPos.Y);
      StrokePaths(dc, d, {{{double(cur.X), double(cur.Y)}, ps}}, false);
    }
    if (moveTo) {
      // The current position becomes the arc's end (logical).
      POINT pl{static_cast<int32_t>(pe.x), static_cast<int32_t>(pe.y)};
      double det = tr.m11 * tr.m22 - tr.m12 * tr.m21;
      if (det != 0) {
        double X = pl.X - tr.dx, Y = pl.Y - tr.dy;
        dc.s.curPos = {RoundCoord((X * tr.m22 - Y * tr.m21) / det),
                       RoundCoord((Y * tr.m11 - X * tr.m12) / det)};
      }
    }
    if (!ok || box.IsEmpty() || dc.path.open) return;
    Pen* pen = CurrentPen(dc);
    bool hasPen = pen && pen->Style() != PS_NULL;
    // Without a pen the figure is one pixel smaller, as the closed figures are.
    const RECT rbox = hasPen ? box : RECT{box.Left, box.Top, box.Right - 1, box.Bottom - 1};
    if (rbox.IsEmpty()) return;
    Boxes fill, outline;
    RasterEllipse(rbox.Left, rbox.Top, rbox.Right, rbox.Bottom, &fill, &outline, &d.clipBox);
    auto select = [&](const Boxes& in, auto&& keep) {
      Boxes out;
      for (const auto& bx : in)
        for (int32_t y = bx.y1; y < bx.y2; ++y)
          for (int32_t x = bx.x1; x < bx.x2; ++x)
            if (keep(x, y)) AddPixel(out, x, y);
      return out;
    };
    auto inArc = [&](int32_t x, int32_t y) {
      return InSweep(AngleOf(x + 0.5 - cx, y + 0.5 - cy), as, sweep);
    };
    Boxes arc = select(outline, inArc);
    if (kind != ArcKind::Arc) {
      Boxes inside;
      if (kind == ArcKind::Pie) {
        inside = select(fill, inArc);
      } else {
        // Chord: the side of the chord line that holds the arc.
        PointD mid = onEllipse(as + sweep / 2);
        auto side = [&](double x, double y) {
          return (pe.x - ps.x) * (y - ps.y) - (pe.y - ps.y) * (x - ps.x);
        };
        double want = side(mid.x + 0.5, mid.y + 0.5);
        inside = select(fill, [&](int32_t x, int32_t y) { return side(x + 0.5, y + 0.5) * want >= 0; });
      }
      Rgn in(inside.data(), static_cast<int>(inside.size()));
      if (hasPen) in.Subtract(Rgn(outline.data(), static_cast<int>(outline.size())));
      FillShape(dc, d, in);
    }
    if (!hasPen) return;
    PenShape(dc, d, Rgn(arc.data(), static_cast<int>(arc.size())));
    if (kind == ArcKind::Pie) {
      PointD c{std::floor(cx), std::floor(cy)};
      StrokePaths(dc, d, {{c, ps}, {c, pe}}, false);
    } else if (kind == ArcKind::Chord) {
      StrokePaths(dc, d, {{ps, pe}}, false);
    }
  });
}

std::vector<POINT> FlattenBezier(POINT start, const POINT* pts, DWORD count) {
  std::vector<POINT> out{start};
  POINT p0 = start;
  for (DWORD i = 0; i + 2 < count; i += 3) {
    POINT p1 = pts[i], p2 = pts[i + 1], p3 = pts[i + 2];
    double len = std::hypot(p1.X - p0.X, p1.Y - p0.Y) + std::hypot(p2.X - p1.X, p2.Y - p1.Y) +
                 std::hypot(p3.X - p2.X, p3.Y - p2.Y);
    int steps = std::clamp(static_cast<int>(len / 2), 2, 256);
    for (int k = 1; k <= steps; ++k) {
      double tt = static_cast<double>(k) / steps, u = 1 - tt;
      double x = u * u * u * p0.X + 3 * u * u * tt * p1.X + 3 * u * tt * tt * p2.X + tt * tt * tt * p3.X;
      double y = u * u * u * p0.Y + 3 * u * u * tt * p1.Y + 3 * u * tt * tt * p2.Y + tt * tt * tt * p3.Y;
      POINT q{static_cast<int32_t>(std::lround(x)), static_cast<int32_t>(std::lround(y))};
      if (!(q == out.back())) out.push_back(q);
    }
    if (!(out.back() == p3)) out.push_back(p3);
    p0 = p3;
  }
  return out;
}

}  // namespace

BOOL MoveToEx(HDC h, int x, int y, LPPOINT old) {
  Dc* dc = FindDc(h);
  if (!dc) return FALSE;
  if (old) *old = dc->s.curPos;
  if (dc->meta) MetaRecord(*dc, EMR_MOVETOEX, {ClampCoord(x), ClampCoord(y)});
  dc->s.curPos = {ClampCoord(x), ClampCoord(y)};
  return TRUE;
}

BOOL LineTo(HDC h, int x, int y) {
  Dc* dc = FindDc(h);
  if (!dc) return FALSE;
  if (dc->meta) MetaRecord(*dc, EMR_LINETO, {ClampCoord(x), ClampCoord(y)});
  POINT from = dc->s.curPos;
  dc->s.curPos = {ClampCoord(x), ClampCoord(y)};
  return DrawPolyline(h, {{from, dc->s.curPos}}, false, true);
}

BOOL Polyline(HDC h, const POINT* points, int count) {
  if (!points || count < 2) return count >= 0 && FindDc(h) ? (count >= 2) : FALSE;
  if (Dc* dc = RecordingDc(h)) MetaRecordPoly(*dc, EMR_POLYLINE, points, static_cast<size_t>(count));
  return DrawPolyline(h, {std::vector<POINT>(points, points + count)}, false);
}

BOOL PolylineTo(HDC h, const POINT* points, DWORD count) {
  Dc* dc = FindDc(h);
  if (!dc || (!points && count)) return FALSE;
  if (count == 0) return TRUE;
  if (dc->meta) MetaRecordPoly(*dc, EMR_POLYLINETO, points, count);
  std::vector<POINT> path{dc->s.curPos};
  path.insert(path.end(), points, points + count);
  dc->s.curPos = points[count - 1];
  return DrawPolyline(h, {path}, false, true);
}

BOOL PolyPolyline(HDC h, const POINT* points, const DWORD* counts, DWORD polylines) {
  if (!points || !counts) return FALSE;
  std::vector<std::vector<POINT>> paths;
  size_t k = 0;
  for (DWORD i = 0; i < polylines; ++i) {
    if (counts[i] < 2) return FALSE;
    paths.emplace_back(points + k, points + k + counts[i]);
    k += counts[i];
  }
  if (Dc* dc = RecordingDc(h)) MetaRecordPolyPoly(*dc, EMR_POLYPOLYLINE, points, counts, polylines);
  return DrawPolyline(h, std::move(paths), false);
}

BOOL PolyBezier(HDC h, const POINT* points, DWORD count) {
  if (!points || count < 1 || (count - 1) % 3 != 0) return FALSE;
  if (Dc* dc = RecordingDc(h)) MetaRecordPoly(*dc, EMR_POLYBEZIER, points, count);
  return DrawPolyline(h, {FlattenBezier(points[0], points + 1, count - 1)}, false);
}

BOOL PolyBezierTo(HDC h, const POINT* points, DWORD count) {
  Dc* dc = FindDc(h);
  if (!dc || !points || count % 3 != 0) return FALSE;
  if (count == 0) return TRUE;
  if (dc->meta) MetaRecordPoly(*dc, EMR_POLYBEZIERTO, points, count);
  auto path = FlattenBezier(dc->s.curPos, points, count);
  dc->s.curPos = points[count - 1];
  return DrawPolyline(h, {path}, false, true);
}

BOOL PolyPolygon(HDC h, const POINT* points, const INT* counts, int polygons) {
  if (!points || !counts || polygons <= 0) return FALSE;
  for (int i = 0; i < polygons; ++i)
    if (counts[i] < 2) return FALSE;
  if (Dc* dc = RecordingDc(h)) {
    if (polygons == 1) {
      MetaRecordPoly(*dc, EMR_POLYGON, points, static_cast<size_t>(counts[0]));
    } else {
      std::vector<DWORD> c(counts, counts + polygons);
      MetaRecordPolyPoly(*dc, EMR_POLYPOLYGON, points, c.data(), c.size());
    }
  }
  if (Dc* dc = FindDc(h); dc && dc->path.open) {
    Transform t = DeviceTransform(*dc);
    size_t k = 0;
    for (int i = 0; i < polygons; ++i) {
      PathAdd(*dc, DevicePoints(t, points + k, static_cast<size_t>(counts[i])), true, false);
      k += static_cast<size_t>(counts[i]);
    }
    return TRUE;
  }
  return WithDest(h, [&](Dc& dc, Dest& d, bool ok) {
    if (!ok) return;
    Transform t = DeviceTransform(dc);
    std::vector<std::vector<PointD>> polys;
    size_t k = 0;
    for (int i = 0; i < polygons; ++i) {
      polys.push_back(DevicePoints(t, points + k, static_cast<size_t>(counts[i])));
      k += static_cast<size_t>(counts[i]);
    }
    // The fill samples each pixel at its integer coordinate, where the outline's lines pass,
    // so small sloped shapes (arrows) come out whole and symmetric: move the figure by half a
    // pixel for the rasteriser, which samples at pixel centres.
    std::vector<std::vector<PointD>> sampled = polys;
    for (auto& poly : sampled)
      for (PointD& p : poly) {
        p.x += 0.5;
        p.y += 0.5;
      }
    Boxes fill;
    RasterPolygon(sampled, dc.s.polyFillMode == WINDING, fill, &d.clipBox);
    FillShape(dc, d, Rgn(fill.data(), static_cast<int>(fill.size())));
    StrokePaths(dc, d, polys, true);
  });
}

BOOL Polygon(HDC h, const POINT* points, int count) {
  INT c = count;
  return PolyPolygon(h, points, &c, 1);
}

BOOL Rectangle(HDC h, int l, int t, int r, int b) {
  if (Dc* dc = RecordingDc(h)) MetaRecordShape(*dc, EMR_RECTANGLE, {l, t, r, b}, {});
  return DrawFigure(h, Figure::Rect, l, t, r, b, 0, 0);
}

BOOL RoundRect(HDC h, int l, int t, int r, int b, int w, int ht) {
  if (Dc* dc = RecordingDc(h)) MetaRecordShape(*dc, EMR_ROUNDRECT, {l, t, r, b}, {w, ht});
  return DrawFigure(h, Figure::Round, l, t, r, b, w, ht);
}

BOOL Ellipse(HDC h, int l, int t, int r, int b) {
  if (Dc* dc = RecordingDc(h)) MetaRecordShape(*dc, EMR_ELLIPSE, {l, t, r, b}, {});
  return DrawFigure(h, Figure::Ellipse, l, t, r, b, 0, 0);
}

BOOL Arc(HDC h, int l, int t, int r, int b, int x1, int y1, int x2, int y2) {
  if (Dc* dc = RecordingDc(h)) MetaRecordShape(*dc, EMR_ARC, {l, t, r, b}, {x1, y1, x2, y2});
  return DrawArc(h, ArcKind::Arc, l, t, r, b, x1, y1, x2, y2, false);
}

BOOL ArcTo(HDC h, int l, int t, int r, int b, int x1, int y1, int x2, int y2) {
  if (Dc* dc = RecordingDc(h)) MetaRecordShape(*dc, EMR_ARCTO, {l, t, r, b}, {x1, y1, x2, y2});
  return DrawArc(h, ArcKind::Arc, l, t, r, b, x1, y1, x2, y2, true);
}

BOOL AngleArc(HDC h, int x, int y, DWORD radius, FLOAT startAngle, FLOAT sweepAngle) {
  Dc* dc = FindDc(h);
  if (!dc || radius > 0x7FFFFFF) return FALSE;
  const double r = radius;
  const double a0 = startAngle * std::numbers::pi / 180,
               a1 = (startAngle + sweepAngle) * std::numbers::pi / 180;
  auto at = [&](double ang) {
    return POINT{RoundCoord(x + r * std::cos(ang)), RoundCoord(y - r * std::sin(ang))};
  };
  const POINT s = at(a0), e = at(a1);
  const int ri = static_cast<int>(radius);
  if (radius == 0 || sweepAngle == 0) {
    POINT p[] = {s};
    return PolylineTo(h, p, 1);
  }
  // A sweep of a whole turn or more draws the whole circle and ends at the sweep's end.
  const int oldDir = SetArcDirection(h, sweepAngle > 0 ? AD_COUNTERCLOCKWISE : AD_CLOCKWISE);
  BOOL ok = ArcTo(h, x - ri, y - ri, x + ri, y + ri, s.X, s.Y, std::fabs(sweepAngle) >= 360 ? s.X : e.X,
                  std::fabs(sweepAngle) >= 360 ? s.Y : e.Y);
  SetArcDirection(h, oldDir);
  if (ok) dc->s.curPos = e;
  return ok;
}

BOOL Pie(HDC h, int l, int t, int r, int b, int x1, int y1, int x2, int y2) {
  if (Dc* dc = RecordingDc(h)) MetaRecordShape(*dc, EMR_PIE, {l, t, r, b}, {x1, y1, x2, y2});
  return DrawArc(h, ArcKind::Pie, l, t, r, b, x1, y1, x2, y2, false);
}

BOOL Chord(HDC h, int l, int t, int r, int b, int x1, int y1, int x2, int y2) {
  if (Dc* dc = RecordingDc(h)) MetaRecordShape(*dc, EMR_CHORD, {l, t, r, b}, {x1, y1, x2, y2});
  return DrawArc(h, ArcKind::Chord, l, t, r, b, x1, y1, x2, y2, false);
}

BOOL ExtFloodFill(HDC h, int x, int y, COLORREF color, UINT type) {
  Dc* dc = FindDc(h);
  if (!dc) return FALSE;
  Dest d;
  if (!PrepareDest(*dc, d)) return FALSE;
  POINT start = ToDevice(DeviceTransform(*dc), x, y);
  if (!d.clip.Contains(start)) return FALSE;
  pixman_box32_t e = d.clip.Extents();
  int32_t w = e.x2 - e.x1, ht = e.y2 - e.y1;
  uint32_t target = NativeFromColor(d.pm, color & 0xFFFFFF);
  auto px = [&](int32_t X, int32_t Y) {
    uint32_t v = d.pm.Get(X + d.offset.X, Y + d.offset.Y);
    return d.pm.format == Format::Bgra32 ? (v & 0xFFFFFF) : v;
  };
  auto fillable = [&](int32_t X, int32_t Y) {
    if (!d.clip.Contains(X, Y)) return false;
    return type == FLOODFILLSURFACE ? px(X, Y) == (target & 0xFFFFFF) : px(X, Y) != (target & 0xFFFFFF);
  };
  if (!fillable(start.X, start.Y)) return FALSE;
  std::vector<uint8_t> seen(static_cast<size_t>(w) * ht, 0);
  Boxes boxes;
  std::vector<POINT> stack{start};
  while (!stack.empty()) {
    POINT p = stack.back();
    stack.pop_back();
    size_t idx = static_cast<size_t>(p.Y - e.y1) * w + (p.X - e.x1);
    if (seen[idx] || !fillable(p.X, p.Y)) continue;
    int32_t l = p.X, r = p.X;
    while (l - 1 >= e.x1 && !seen[idx - (p.X - l) - 1] && fillable(l - 1, p.Y)) --l;
    while (r + 1 < e.x2 && !seen[idx + (r - p.X) + 1] && fillable(r + 1, p.Y)) ++r;
    for (int32_t X = l; X <= r; ++X) seen[static_cast<size_t>(p.Y - e.y1) * w + (X - e.x1)] = 1;
    boxes.push_back({l, p.Y, r + 1, p.Y + 1});
    for (int32_t ny : {p.Y - 1, p.Y + 1}) {
      if (ny < e.y1 || ny >= e.y2) continue;
      for (int32_t X = l; X <= r; ++X) stack.push_back({X, ny});
    }
  }
  Pattern pat;
  if (!MakePattern(d, CurrentBrush(*dc), pat)) return TRUE;
  FillRgn(d, Rgn(boxes.data(), static_cast<int>(boxes.size())), &pat, 0xF0);
  return TRUE;
}

BOOL FloodFill(HDC h, int x, int y, COLORREF color) {
  return ExtFloodFill(h, x, y, color, FLOODFILLBORDER);
}

}  // namespace qd
