// Scanline rasterisation with GDI's pixel rules: polygons sample pixel centres, ellipses and
// round rectangles keep inside their bounding box, outlines are one pixel thick.
#include <algorithm>
#include <cmath>

#include "platform/os/gdi_internal.h"
#include "platform/os/gdi_raster.h"

namespace qd::gdi {

void RasterPolygon(const std::vector<std::vector<PointD>>& polys, bool winding, Boxes& out) {
  struct Edge {
    double x0, y0, x1, y1;
    int dir;
  };
  std::vector<Edge> edges;
  double ymin = 1e18, ymax = -1e18;
  for (const auto& poly : polys) {
    size_t n = poly.size();
    if (n < 2) continue;
    for (size_t i = 0; i < n; ++i) {
      PointD a = poly[i], b = poly[(i + 1) % n];
      if (a.y == b.y) continue;
      int dir = 1;
      if (a.y > b.y) {
        std::swap(a, b);
        dir = -1;
      }
      edges.push_back({a.x, a.y, b.x, b.y, dir});
      ymin = std::min(ymin, a.y);
      ymax = std::max(ymax, b.y);
    }
  }
  if (edges.empty()) return;
  // Pixel row y samples at y + 0.5; an edge covers samples in [y0, y1).
  auto yStart = static_cast<int64_t>(std::ceil(ymin - 0.5));
  auto yEnd = static_cast<int64_t>(std::ceil(ymax - 0.5));
  yStart = std::max<int64_t>(yStart, -kCoordLimit);
  yEnd = std::min<int64_t>(yEnd, kCoordLimit);
  std::vector<std::pair<double, int>> xs;
  for (int64_t y = yStart; y < yEnd; ++y) {
    double sy = static_cast<double>(y) + 0.5;
    xs.clear();
    for (const Edge& e : edges) {
      if (sy < e.y0 || sy >= e.y1) continue;
      double x = e.x0 + (sy - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0);
      xs.push_back({x, e.dir});
    }
    if (xs.size() < 2) continue;
    std::sort(xs.begin(), xs.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    auto emit = [&](double xl, double xr) {
      // Pixel x is inside when xl <= x + 0.5 < xr.
      auto x1 = static_cast<int64_t>(std::ceil(xl - 0.5));
      auto x2 = static_cast<int64_t>(std::ceil(xr - 0.5));
      x1 = std::max<int64_t>(x1, -kCoordLimit);
      x2 = std::min<int64_t>(x2, kCoordLimit);
      if (x1 < x2)
        out.push_back({static_cast<int32_t>(x1), static_cast<int32_t>(y), static_cast<int32_t>(x2),
                       static_cast<int32_t>(y + 1)});
    };
    if (!winding) {
      for (size_t i = 0; i + 1 < xs.size(); i += 2) emit(xs[i].first, xs[i + 1].first);
    } else {
      int w = 0;
      for (size_t i = 0; i + 1 < xs.size(); ++i) {
        w += xs[i].second;
        if (w != 0) emit(xs[i].first, xs[i + 1].first);
      }
    }
  }
}

void SpansToBoxes(int32_t top, const std::vector<int32_t>& xl, const std::vector<int32_t>& xr, Boxes* fill,
                  Boxes* outline) {
  auto rows = static_cast<int32_t>(xl.size());
  for (int32_t k = 0; k < rows; ++k) {
    int32_t l = xl[k], r = xr[k];  // inclusive
    if (l > r) continue;
    int32_t y = top + k;
    if (fill) fill->push_back({l, y, r + 1, y + 1});
    if (!outline) continue;
    // Interior pixels have all four neighbours inside.
    int32_t il = l + 1, ir = r - 1;
    for (int32_t nk : {k - 1, k + 1}) {
      if (nk < 0 || nk >= rows || xl[nk] > xr[nk]) {
        il = 1;
        ir = 0;
        break;
      }
      il = std::max(il, xl[nk]);
      ir = std::min(ir, xr[nk]);
    }
    if (il > ir) {
      outline->push_back({l, y, r + 1, y + 1});
    } else {
      if (il > l) outline->push_back({l, y, il, y + 1});
      if (ir < r) outline->push_back({ir + 1, y, r + 1, y + 1});
    }
  }
}

void EllipseSpans(int32_t l, int32_t t, int32_t r, int32_t b, std::vector<int32_t>& xl,
                  std::vector<int32_t>& xr) {
  int32_t w = r - l, h = b - t;
  xl.assign(std::max(h, 0), 1);
  xr.assign(std::max(h, 0), 0);
  if (w <= 0 || h <= 0) return;
  double a = w / 2.0, bb = h / 2.0;
  double cx = l + a;
  for (int32_t k = 0; k < (h + 1) / 2; ++k) {
    double dy = (k + 0.5) - bb;  // from the centre to the row's pixel centre
    double q = 1.0 - (dy * dy) / (bb * bb);
    double hw = q > 0 ? a * std::sqrt(q) : 0;
    auto x1 = static_cast<int32_t>(std::ceil(cx - hw - 0.5 - 1e-9));
    // Mirror the left end so the figure is symmetric about its vertical axis.
    int32_t x2 = l + r - 1 - x1;
    if (x1 > x2) {
      x1 = l + (w - 1) / 2;
      x2 = l + r - 1 - x1;
    }
    xl[k] = xl[h - 1 - k] = x1;
    xr[k] = xr[h - 1 - k] = x2;
  }
}

void RasterEllipse(int32_t l, int32_t t, int32_t r, int32_t b, Boxes* fill, Boxes* outline) {
  std::vector<int32_t> xl, xr;
  EllipseSpans(l, t, r, b, xl, xr);
  SpansToBoxes(t, xl, xr, fill, outline);
}

void RoundRectSpans(int32_t l, int32_t t, int32_t r, int32_t b, int32_t cw, int32_t ch,
                    std::vector<int32_t>& xl, std::vector<int32_t>& xr) {
  int32_t w = r - l, h = b - t;
  xl.assign(std::max(h, 0), 1);
  xr.assign(std::max(h, 0), 0);
  if (w <= 0 || h <= 0) return;
  cw = std::clamp(cw, 0, w);
  ch = std::clamp(ch, 0, h);
  std::vector<int32_t> el, er;
  EllipseSpans(0, 0, cw, ch, el, er);
  int32_t half = ch / 2;
  for (int32_t k = 0; k < h; ++k) {
    int32_t inset = 0;
    if (cw > 0 && ch > 0) {
      if (k < half)
        inset = el[k];
      else if (k >= h - half)
        inset = el[ch - (h - k)];
    }
    xl[k] = l + inset;
    xr[k] = r - 1 - inset;
  }
}

void RasterRoundRect(int32_t l, int32_t t, int32_t r, int32_t b, int32_t cw, int32_t ch, Boxes* fill,
                     Boxes* outline) {
  std::vector<int32_t> xl, xr;
  RoundRectSpans(l, t, r, b, cw, ch, xl, xr);
  SpansToBoxes(t, xl, xr, fill, outline);
}

}  // namespace qd::gdi
