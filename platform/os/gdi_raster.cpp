// Scanline rasterisation with GDI's pixel rules: polygons sample pixel centres, ellipses and
// round rectangles keep inside their bounding box, outlines are one pixel thick.

#include <algorithm>
#include <cmath>

#include "platform/os/gdi_internal.h"

namespace qd::gdi {

namespace {

// Rows [y0, y1) to produce: the window's rows, and never more than kMaxRasterRows.
void RowRange(int64_t top, int64_t bottom, const pixman_box32_t* window, int64_t& y0, int64_t& y1) {
  y0 = top;
  y1 = bottom;
  if (window) {
    y0 = std::max<int64_t>(y0, window->y1);
    y1 = std::min<int64_t>(y1, window->y2);
  }
  y1 = std::min<int64_t>(y1, y0 + kMaxRasterRows);
}

void ColumnRange(const pixman_box32_t* window, int64_t& x0, int64_t& x1) {
  x0 = window ? std::max<int64_t>(x0, int64_t(window->x1) - 1) : std::max<int64_t>(x0, -kCoordLimit);
  x1 = window ? std::min<int64_t>(x1, int64_t(window->x2) + 1) : std::min<int64_t>(x1, kCoordLimit);
}

}  // namespace

void RasterPolygon(const std::vector<std::vector<PointD>>& polys, bool winding, Boxes& out,
                   const pixman_box32_t* window) {
  struct Edge {
    double x0, y0, x1, y1;
    int dir;
  };
  std::vector<Edge> edges;
  double ymin = 1e18, ymax = -1e18;  // finite coordinates only (checked below)
  for (const auto& poly : polys) {
    size_t n = poly.size();
    if (n < 2) continue;
    for (size_t i = 0; i < n; ++i) {
      PointD a = poly[i], b = poly[(i + 1) % n];
      if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y)) return;
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
  auto top = static_cast<int64_t>(std::ceil(std::max(ymin, -double(kCoordLimit)) - 0.5));
  auto bottom = static_cast<int64_t>(std::ceil(std::min(ymax, double(kCoordLimit)) - 0.5));
  int64_t yStart, yEnd;
  RowRange(top, bottom, window, yStart, yEnd);
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
      // Pixel x is inside when xl <= x + 0.5 < xr. Edges far outside (or not numbers, from
      // degenerate input) are held to the coordinate limits before conversion.
      if (std::isnan(xl) || std::isnan(xr)) return;
      const double limit = double(kCoordLimit);
      auto x1 = static_cast<int64_t>(std::ceil(std::clamp(xl, -limit, limit) - 0.5));
      auto x2 = static_cast<int64_t>(std::ceil(std::clamp(xr, -limit, limit) - 0.5));
      ColumnRange(window, x1, x2);
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

namespace {

// Rows t..b-1 with inclusive spans from span(k) (k = row - t; l > r: empty) -> boxes. A pixel
// of the outline has one of its four neighbours outside the figure.
template <class Span>
void RowsToBoxes(int32_t t, int32_t b, Span&& span, const pixman_box32_t* window, Boxes* fill,
                 Boxes* outline) {
  int64_t y0, y1;
  RowRange(t, b, window, y0, y1);
  auto rowSpan = [&](int64_t y, int64_t& l, int64_t& r) {
    if (y < t || y >= b) {
      l = 1;
      r = 0;
      return;
    }
    int32_t a, c;
    span(static_cast<int32_t>(y - t), a, c);
    l = a;
    r = c;
  };
  int64_t pl, pr, cl, cr, nl, nr;
  rowSpan(y0 - 1, pl, pr);
  rowSpan(y0, cl, cr);
  for (int64_t y = y0; y < y1; ++y) {
    rowSpan(y + 1, nl, nr);
    if (cl <= cr) {
      auto box = [&](int64_t l, int64_t r) {  // inclusive columns
        int64_t x1 = l, x2 = r + 1;
        ColumnRange(window, x1, x2);
        return x1 < x2 ? pixman_box32_t{static_cast<int32_t>(x1), static_cast<int32_t>(y),
                                        static_cast<int32_t>(x2), static_cast<int32_t>(y + 1)}
                       : pixman_box32_t{0, 0, 0, 0};
      };
      auto push = [](Boxes* to, const pixman_box32_t& bx) {
        if (to && bx.x1 < bx.x2) to->push_back(bx);
      };
      push(fill, box(cl, cr));
      if (outline) {
        int64_t il = cl + 1, ir = cr - 1;
        if (pl > pr || nl > nr) {
          il = 1;
          ir = 0;
        } else {
          il = std::max({il, pl, nl});
          ir = std::min({ir, pr, nr});
        }
        if (il > ir) {
          push(outline, box(cl, cr));
        } else {
          if (il > cl) push(outline, box(cl, il - 1));
          if (ir < cr) push(outline, box(ir + 1, cr));
        }
      }
    }
    pl = cl;
    pr = cr;
    cl = nl;
    cr = nr;
  }
}

// Inclusive span of row k of the ellipse inscribed in [l, l + w) x [0, h).
void EllipseRow(int32_t l, int32_t w, int32_t h, int32_t k, int32_t& x1, int32_t& x2) {
  if (w <= 0 || h <= 0 || k < 0 || k >= h) {
    x1 = 1;
    x2 = 0;
    return;
  }
  int32_t kk = std::min(k, h - 1 - k);  // symmetric about the horizontal axis
  double a = w / 2.0, bb = h / 2.0;
  double dy = (kk + 0.5) - bb;
  double q = 1.0 - (dy * dy) / (bb * bb);
  double hw = q > 0 ? a * std::sqrt(q) : 0;
  auto left = static_cast<int64_t>(std::ceil(a - hw - 0.5 - 1e-9));
  // Mirror the left end so the figure is symmetric about its vertical axis.
  int64_t right = int64_t(w) - 1 - left;
  if (left > right) {
    left = (w - 1) / 2;
    right = int64_t(w) - 1 - left;
  }
  x1 = static_cast<int32_t>(l + left);
  x2 = static_cast<int32_t>(l + right);
}

}  // namespace

void RasterEllipse(int32_t l, int32_t t, int32_t r, int32_t b, Boxes* fill, Boxes* outline,
                   const pixman_box32_t* window) {
  int32_t w = r - l, h = b - t;
  if (w <= 0 || h <= 0) return;
  RowsToBoxes(
      t, b, [&](int32_t k, int32_t& x1, int32_t& x2) { EllipseRow(l, w, h, k, x1, x2); }, window, fill,
      outline);
}

void RasterRoundRect(int32_t l, int32_t t, int32_t r, int32_t b, int32_t cw, int32_t ch, Boxes* fill,
                     Boxes* outline, const pixman_box32_t* window) {
  int32_t w = r - l, h = b - t;
  if (w <= 0 || h <= 0) return;
  cw = std::clamp(cw, 0, w);
  ch = std::clamp(ch, 0, h);
  int32_t half = ch / 2;
  RowsToBoxes(
      t, b,
      [&](int32_t k, int32_t& x1, int32_t& x2) {
        int32_t inset = 0;
        if (cw > 0 && ch > 0) {
          int32_t row = k < half ? k : (k >= h - half ? ch - (h - k) : -1);
          if (row >= 0) {
            int32_t el, er;
            EllipseRow(0, cw, ch, row, el, er);
            inset = el;
          }
        }
        x1 = l + inset;
        x2 = r - 1 - inset;
      },
      window, fill, outline);
}

}  // namespace qd::gdi
