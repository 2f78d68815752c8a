// The raster canvas of the visual-styles engine: coverage-antialiased shapes blended in
// premultiplied ARGB.
#include <algorithm>
#include <cmath>

#include "platform/base/mathutil.h"
#include "platform/os/uxtheme_internal.h"

namespace qd::theme {

namespace {

float Clamp01(float v) {
  return v < 0 ? 0 : (v > 1 ? 1 : v);
}

// Coverage of a pixel whose centre lies at signed distance d from an edge (negative inside).
float CoverageOf(float d) {
  return Clamp01(0.5f - d);
}

// Signed distance from p to a box with centre c, half size h and one corner radius per quadrant.
float RoundBoxDistance(float px, float py, float cx, float cy, float hx, float hy, const float radii[4]) {
  float dx = px - cx, dy = py - cy;
  // tl, tr, br, bl
  float r = dx < 0 ? (dy < 0 ? radii[0] : radii[3]) : (dy < 0 ? radii[1] : radii[2]);
  r = std::min({r, hx, hy});
  if (r < 0) r = 0;
  float qx = std::fabs(dx) - (hx - r), qy = std::fabs(dy) - (hy - r);
  float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
  return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - r;
}

float EllipseDistance(float px, float py, float cx, float cy, float rx, float ry) {
  if (rx <= 0 || ry <= 0) return 1e9f;
  float nx = (px - cx) / rx, ny = (py - cy) / ry;
  float len = std::sqrt(nx * nx + ny * ny);
  if (len < 1e-6f) return -std::min(rx, ry);
  // First-order distance: the implicit function over its gradient's length.
  float gx = nx / rx, gy = ny / ry;
  float g = std::sqrt(gx * gx + gy * gy) / len;
  return (len - 1) / g;
}

float SegmentDistance(float px, float py, PointF a, PointF b) {
  float vx = b.x - a.x, vy = b.y - a.y;
  float wx = px - a.x, wy = py - a.y;
  float len2 = vx * vx + vy * vy;
  float t = len2 > 0 ? Clamp01((wx * vx + wy * vy) / len2) : 0;
  float dx = wx - t * vx, dy = wy - t * vy;
  return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

RectF CenteredIn(const RectF& r, float w, float h) {
  float l = r.l + std::floor((r.W() - w) / 2);
  float t = r.t + std::floor((r.H() - h) / 2);
  return {l, t, l + w, t + h};
}

float PaintCtx::Px(float v) const {
  if (v <= 0) return 0;
  // Thin rather than thick between whole pixels: 1.5 times gives one pixel, 1.75 times two.
  return std::max(1.0f, std::floor(v * s + 0.25f));
}

void Canvas::Blend(uint32_t& d, Argb c, float cov) {
  float a = static_cast<float>(c >> 24) / 255.0f * cov;
  if (a <= 0) return;
  float inv = 1 - a;
  uint32_t out = 0;
  for (int sh = 0; sh <= 16; sh += 8) {
    float sc = static_cast<float>((c >> sh) & 0xFF) * a;
    float dc = static_cast<float>((d >> sh) & 0xFF) * inv;
    out |= static_cast<uint32_t>(std::min(255.0f, sc + dc + 0.5f)) << sh;
  }
  float da = static_cast<float>(d >> 24) * inv;
  out |= static_cast<uint32_t>(std::min(255.0f, 255.0f * a + da + 0.5f)) << 24;
  d = out;
}

template <class Coverage>
void Canvas::Shade(const RectF& bounds, Argb c, Coverage&& coverage) {
  if ((c >> 24) == 0) return;
  int x0 = std::max(0, static_cast<int>(std::floor(bounds.l)) - 1 - ox_);
  int y0 = std::max(0, static_cast<int>(std::floor(bounds.t)) - 1 - oy_);
  int x1 = std::min(w_, static_cast<int>(std::ceil(bounds.r)) + 1 - ox_);
  int y1 = std::min(h_, static_cast<int>(std::ceil(bounds.b)) + 1 - oy_);
  for (int y = y0; y < y1; ++y) {
    uint32_t* row = bits_ + static_cast<ptrdiff_t>(y) * stride_;
    float py = static_cast<float>(y + oy_) + 0.5f;
    for (int x = x0; x < x1; ++x) {
      float cov = coverage(static_cast<float>(x + ox_) + 0.5f, py);
      if (cov > 0) Blend(row[x], c, cov);
    }
  }
}

void Canvas::FillRect(const RectF& r, Argb c) {
  if (r.Empty()) return;
  // Exact area coverage: whole-pixel edges stay crisp, fractional edges blend.
  Shade(r, c, [&](float px, float py) {
    float cx = std::min(px + 0.5f, r.r) - std::max(px - 0.5f, r.l);
    float cy = std::min(py + 0.5f, r.b) - std::max(py - 0.5f, r.t);
    return Clamp01(cx) * Clamp01(cy);
  });
}

void Canvas::FillRoundRect(const RectF& r, float radius, Argb c) {
  float radii[4] = {radius, radius, radius, radius};
  FillRoundRect(r, radii, c);
}

void Canvas::FillRoundRect(const RectF& r, const float radii[4], Argb c) {
  if (r.Empty()) return;
  if (radii[0] <= 0 && radii[1] <= 0 && radii[2] <= 0 && radii[3] <= 0) return FillRect(r, c);
  float cx = r.Cx(), cy = r.Cy(), hx = r.W() / 2, hy = r.H() / 2;
  Shade(r, c,
        [&](float px, float py) { return CoverageOf(RoundBoxDistance(px, py, cx, cy, hx, hy, radii)); });
}

void Canvas::StrokeRoundRect(const RectF& r, float radius, float width, Argb c) {
  float radii[4] = {radius, radius, radius, radius};
  StrokeRoundRect(r, radii, width, c);
}

void Canvas::StrokeRoundRect(const RectF& r, const float radii[4], float width, Argb c) {
  if (r.Empty() || width <= 0) return;
  RectF in = r.Inset(width);
  float inner[4];
  for (int i = 0; i < 4; ++i) inner[i] = std::max(0.0f, radii[i] - width);
  float cx = r.Cx(), cy = r.Cy(), hx = r.W() / 2, hy = r.H() / 2;
  float ihx = in.W() / 2, ihy = in.H() / 2;
  bool hasInner = !in.Empty();
  Shade(r, c, [&](float px, float py) {
    float outer = CoverageOf(RoundBoxDistance(px, py, cx, cy, hx, hy, radii));
    if (!hasInner || outer <= 0) return outer;
    float inside = CoverageOf(RoundBoxDistance(px, py, cx, cy, ihx, ihy, inner));
    return std::max(0.0f, outer - inside);
  });
}

void Canvas::FillEllipse(const RectF& r, Argb c) {
  if (r.Empty()) return;
  float cx = r.Cx(), cy = r.Cy(), rx = r.W() / 2, ry = r.H() / 2;
  Shade(r, c, [&](float px, float py) { return CoverageOf(EllipseDistance(px, py, cx, cy, rx, ry)); });
}

void Canvas::StrokeEllipse(const RectF& r, float width, Argb c) {
  if (r.Empty() || width <= 0) return;
  float cx = r.Cx(), cy = r.Cy(), rx = r.W() / 2, ry = r.H() / 2;
  Shade(r, c, [&](float px, float py) {
    float outer = CoverageOf(EllipseDistance(px, py, cx, cy, rx, ry));
    if (outer <= 0) return 0.0f;
    float inside =
        rx > width && ry > width ? CoverageOf(EllipseDistance(px, py, cx, cy, rx - width, ry - width)) : 0;
    return std::max(0.0f, outer - inside);
  });
}

void Canvas::Polyline(const PointF* pts, int n, float width, Argb c) {
  if (n < 2 || width <= 0) return;
  RectF box{pts[0].x, pts[0].y, pts[0].x, pts[0].y};
  for (int i = 1; i < n; ++i) {
    box.l = std::min(box.l, pts[i].x);
    box.t = std::min(box.t, pts[i].y);
    box.r = std::max(box.r, pts[i].x);
    box.b = std::max(box.b, pts[i].y);
  }
  float half = width / 2;
  box = box.Inset(-half);
  Shade(box, c, [&](float px, float py) {
    float d = 1e9f;
    for (int i = 0; i + 1 < n; ++i) d = std::min(d, SegmentDistance(px, py, pts[i], pts[i + 1]));
    return CoverageOf(d - half);
  });
}

void Canvas::FillPolygon(const PointF* pts, int n, Argb c) {
  if (n < 3) return;
  RectF box{pts[0].x, pts[0].y, pts[0].x, pts[0].y};
  float area = 0;
  for (int i = 0; i < n; ++i) {
    const PointF& a = pts[i];
    const PointF& b = pts[(i + 1) % n];
    area += a.x * b.y - b.x * a.y;
    box.l = std::min(box.l, a.x);
    box.t = std::min(box.t, a.y);
    box.r = std::max(box.r, a.x);
    box.b = std::max(box.b, a.y);
  }
  if (area == 0) return;
  // Outward normals for either winding.
  float sign = area > 0 ? 1.0f : -1.0f;
  std::vector<float> nx(n), ny(n);
  for (int i = 0; i < n; ++i) {
    const PointF& a = pts[i];
    const PointF& b = pts[(i + 1) % n];
    float ex = b.x - a.x, ey = b.y - a.y;
    float len = std::sqrt(ex * ex + ey * ey);
    if (len == 0) len = 1;
    nx[i] = sign * ey / len;
    ny[i] = -sign * ex / len;
  }
  Shade(box, c, [&](float px, float py) {
    float d = -1e9f;
    for (int i = 0; i < n; ++i) d = std::max(d, (px - pts[i].x) * nx[i] + (py - pts[i].y) * ny[i]);
    return CoverageOf(d);
  });
}

void Canvas::Clear(uint32_t premultiplied) {
  for (int y = 0; y < h_; ++y) std::fill_n(bits_ + static_cast<ptrdiff_t>(y) * stride_, w_, premultiplied);
}

}  // namespace qd::theme
