// Path gradient brushes, drawn as cairo mesh patterns: one band of patches per blend interval
// between each outline edge and the focus outline, and triangles filling the focus outline.
#include <algorithm>

#include "platform/gdiplus/gdip_internal.h"

namespace qd::gdiplus {

using namespace detail;

namespace {

struct PathGradientVertex {
  double x, y;
  ARGB color;
};
using PathGradientFigure = std::vector<PathGradientVertex>;

ARGB PathGradientSurround(const PathGradient& b, size_t index) {
  if (b.surround.empty()) return 0xFFFFFFFF;
  return b.surround[std::min(index, b.surround.size() - 1)];
}

ARGB PathGradientMix(ARGB a, ARGB c, double t) {
  uint32_t out = 0;
  for (int sh = 0; sh < 32; sh += 8) {
    double ca = (a >> sh) & 0xFF, cc = (c >> sh) & 0xFF;
    out |= static_cast<uint32_t>(std::lround(ca + (cc - ca) * t)) << sh;
  }
  return out;
}

// The outline as polygons, Bézier segments subdivided, each vertex with its surround colour
// (colours along a curve run from its first point's colour to its last point's).
std::vector<PathGradientFigure> PathGradientOutline(const PathGradient& b) {
  std::vector<PathGradientFigure> figures;
  const auto& pts = b.path.points;
  const auto& types = b.path.types;
  for (size_t i = 0; i < pts.size(); ++i) {
    BYTE kind = types[i] & PathPointTypePathTypeMask;
    if (kind == PathPointTypeStart || figures.empty()) figures.emplace_back();
    PathGradientFigure& f = figures.back();
    if (kind == PathPointTypeBezier && i + 2 < pts.size() && !f.empty()) {
      const PathGradientVertex p0 = f.back();
      const GpPointF &p1 = pts[i], &p2 = pts[i + 1], &p3 = pts[i + 2];
      const ARGB c3 = PathGradientSurround(b, i + 2);
      constexpr int kSteps = 16;
      for (int k = 1; k <= kSteps; ++k) {
        double t = double(k) / kSteps, u = 1 - t;
        double x = u * u * u * p0.x + 3 * u * u * t * p1.X + 3 * u * t * t * p2.X + t * t * t * p3.X;
        double y = u * u * u * p0.y + 3 * u * u * t * p1.Y + 3 * u * t * t * p2.Y + t * t * t * p3.Y;
        f.push_back({x, y, PathGradientMix(p0.color, c3, t)});
      }
      i += 2;
      continue;
    }
    f.push_back({pts[i].X, pts[i].Y, PathGradientSurround(b, i)});
  }
  figures.erase(std::remove_if(figures.begin(), figures.end(), [](const auto& f) { return f.size() < 3; }),
                figures.end());
  return figures;
}

// The area centroid of the first figure, or the mean of the points for a flat one.
GpPointF PathGradientCentroid(const PathGradient& b) {
  auto figures = PathGradientOutline(b);
  if (figures.empty()) {
    double sx = 0, sy = 0;
    for (const auto& p : b.path.points) sx += p.X, sy += p.Y;
    size_t n = std::max<size_t>(b.path.points.size(), 1);
    return {REAL(sx / n), REAL(sy / n)};
  }
  const auto& f = figures[0];
  double a = 0, cx = 0, cy = 0, mx = 0, my = 0;
  for (size_t i = 0; i < f.size(); ++i) {
    const auto &p = f[i], &q = f[(i + 1) % f.size()];
    double cross = p.x * q.y - q.x * p.y;
    a += cross;
    cx += (p.x + q.x) * cross;
    cy += (p.y + q.y) * cross;
    mx += p.x;
    my += p.y;
  }
  if (std::fabs(a) < 1e-9) return {REAL(mx / f.size()), REAL(my / f.size())};
  return {REAL(cx / (3 * a)), REAL(cy / (3 * a))};
}

void PathGradientPatch(cairo_pattern_t* mesh, const PathGradientVertex (&v)[4]) {
  cairo_mesh_pattern_begin_patch(mesh);
  cairo_mesh_pattern_move_to(mesh, v[0].x, v[0].y);
  for (int i = 1; i < 4; ++i) cairo_mesh_pattern_line_to(mesh, v[i].x, v[i].y);
  for (unsigned i = 0; i < 4; ++i) {
    ARGB c = v[i].color;
    cairo_mesh_pattern_set_corner_color_rgba(mesh, i, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                                             (c & 0xFF) / 255.0, (c >> 24) / 255.0);
  }
  cairo_mesh_pattern_end_patch(mesh);
}

// The mesh in brush space.
cairo_pattern_t* PathGradientMesh(const PathGradient& b) {
  cairo_pattern_t* mesh = cairo_pattern_create_mesh();
  const double cx = b.center.X, cy = b.center.Y;
  for (const PathGradientFigure& f : PathGradientOutline(b)) {
    const size_t n = f.size();
    // Per vertex: where the band at position t lies, and its colour stops.
    std::vector<std::vector<std::pair<double, ARGB>>> stops(n);
    for (size_t i = 0; i < n; ++i) stops[i] = b.blend.Stops(f[i].color, b.centerColor, b.gamma);
    auto at = [&](size_t i, size_t k) {
      double fx = cx + (f[i].x - cx) * b.focusX, fy = cy + (f[i].y - cy) * b.focusY;
      double t = stops[i][k].first;
      return PathGradientVertex{f[i].x + (fx - f[i].x) * t, f[i].y + (fy - f[i].y) * t, stops[i][k].second};
    };
    const size_t bands = stops[0].size();
    for (size_t i = 0; i < n; ++i) {
      const size_t j = (i + 1) % n;
      for (size_t k = 0; k + 1 < bands; ++k) {
        if (stops[i][k + 1].first <= stops[i][k].first) continue;
        PathGradientVertex quad[4] = {at(i, k), at(j, k), at(j, k + 1), at(i, k + 1)};
        PathGradientPatch(mesh, quad);
      }
      if (b.focusX != 0 || b.focusY != 0) {
        // The focus outline in the colour of the last stop.
        PathGradientVertex c{cx, cy, stops[i][bands - 1].second};
        PathGradientVertex tri[4] = {at(i, bands - 1), at(j, bands - 1), c, c};
        PathGradientPatch(mesh, tri);
      }
    }
  }
  return mesh;
}

PathGradient* GetPathGradient(GpPathGradient* brush) {
  return Get<PathGradient>(static_cast<GpBrush*>(brush));
}

Status NewPathGradient(PathData path, WrapMode wrap, GpPathGradient** out) {
  if (!out || wrap < WrapModeTile || wrap > WrapModeClamp) return InvalidParameter;
  if (path.points.size() < 2) return OutOfMemory;
  auto b = std::make_unique<PathGradient>();
  b->path = std::move(path);
  b->wrap = wrap;
  b->surround = {0xFFFFFFFF};
  b->center = PathGradientCentroid(*b);
  *out = static_cast<GpPathGradient*>(Adopt(std::move(b))->Handle());
  return Ok;
}

GpRectF PathGradientBounds(const PathGradient& b) {
  double l, t, r, bo;
  if (!PathBounds(b.path, Mx{}, l, t, r, bo)) return {};
  return {REAL(l), REAL(t), REAL(r - l), REAL(bo - t)};
}

}  // namespace

namespace detail {

cairo_pattern_t* PathGradientPattern(const PathGradient& b, const Canvas& canvas) {
  cairo_pattern_t* mesh = PathGradientMesh(b);
  const Mx toBrush = b.transform.Invertible() ? b.transform.Inverse() : Mx{};
  const GpRectF r = PathGradientBounds(b);
  if (b.wrap == WrapModeClamp || !(r.Width > 0) || !(r.Height > 0)) {
    cairo_matrix_t m = toBrush.Cairo();
    cairo_pattern_set_matrix(mesh, &m);
    return mesh;
  }
  // Tiled: the bounding rectangle rendered once at about the device resolution, then repeated
  // (mirrored copies for the flip modes).
  const double scale = std::clamp((b.transform * canvas.UserToSurface()).Scale(), 0.05, 8.0);
  const int w = std::clamp(static_cast<int>(std::ceil(r.Width * scale)), 1, 2048);
  const int h = std::clamp(static_cast<int>(std::ceil(r.Height * scale)), 1, 2048);
  const bool flipX = b.wrap == WrapModeTileFlipX || b.wrap == WrapModeTileFlipXY;
  const bool flipY = b.wrap == WrapModeTileFlipY || b.wrap == WrapModeTileFlipXY;
  cairo_surface_t* tile =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, flipX ? 2 * w : w, flipY ? 2 * h : h);
  cairo_t* cr = cairo_create(tile);
  for (int my = 0; my < (flipY ? 2 : 1); ++my)
    for (int mx = 0; mx < (flipX ? 2 : 1); ++mx) {
      cairo_save(cr);
      // Cell (mx, my) mirrors the rectangle when its index is odd.
      cairo_translate(cr, mx ? 2.0 * w : 0, my ? 2.0 * h : 0);
      cairo_scale(cr, mx ? -double(w) / r.Width : double(w) / r.Width,
                  my ? -double(h) / r.Height : double(h) / r.Height);
      cairo_translate(cr, -r.X, -r.Y);
      cairo_set_source(cr, mesh);
      cairo_paint(cr);
      cairo_restore(cr);
    }
  cairo_destroy(cr);
  cairo_pattern_destroy(mesh);
  cairo_pattern_t* p = cairo_pattern_create_for_surface(tile);
  cairo_surface_destroy(tile);
  cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
  const Mx m = toBrush * Mx::Translation(-r.X, -r.Y) * Mx::Scaling(w / r.Width, h / r.Height);
  cairo_matrix_t cm = m.Cairo();
  cairo_pattern_set_matrix(p, &cm);
  return p;
}

}  // namespace detail

// ---- Flat API --------------------------------------------------------------------------------

Status GdipCreatePathGradient(const GpPointF* points, INT count, GpWrapMode wrapMode,
                              GpPathGradient** polyGradient) {
  QD_GDIP_ENTER();
  if (!points || count < 0 || !FinitePoints(points, count)) return InvalidParameter;
  PathData path;
  path.AddLines(points, count);
  path.CloseFigure();
  return NewPathGradient(std::move(path), wrapMode, polyGradient);
}

Status GdipCreatePathGradientI(const GpPoint* points, INT count, GpWrapMode wrapMode,
                               GpPathGradient** polyGradient) {
  if (!points || count < 0) return InvalidParameter;
  std::vector<GpPointF> f = ToF(points, count);
  return GdipCreatePathGradient(f.data(), count, wrapMode, polyGradient);
}

Status GdipCreatePathGradientFromPath(const GpPath* path, GpPathGradient** polyGradient) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p) return InvalidParameter;
  return NewPathGradient(p->data, WrapModeClamp, polyGradient);
}

Status GdipGetPathGradientCenterColor(GpPathGradient* brush, ARGB* colors) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  if (!b || !colors) return InvalidParameter;
  *colors = b->centerColor;
  return Ok;
}

Status GdipSetPathGradientCenterColor(GpPathGradient* brush, ARGB colors) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  if (!b) return InvalidParameter;
  b->centerColor = colors;
  return Ok;
}

Status GdipGetPathGradientSurroundColorsWithCount(GpPathGradient* brush, ARGB* color, INT* count) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  if (!b || !color || !count) return InvalidParameter;
  const INT n = static_cast<INT>(b->path.points.size());
  if (*count < n) return InsufficientBuffer;
  for (INT i = 0; i < n; ++i) color[i] = PathGradientSurround(*b, i);
  *count = n;
  return Ok;
}

Status GdipSetPathGradientSurroundColorsWithCount(GpPathGradient* brush, const ARGB* color, INT* count) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  if (!b || !color || !count || *count <= 0 || static_cast<size_t>(*count) > b->path.points.size())
    return InvalidParameter;
  b->surround.assign(color, color + *count);
  return Ok;
}

Status GdipGetPathGradientSurroundColorCount(GpPathGradient* brush, INT* count) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  if (!b || !count) return InvalidParameter;
  *count = static_cast<INT>(b->path.points.size());
  return Ok;
}

Status GdipGetPathGradientPath(GpPathGradient* brush, GpPath* path) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  auto* p = Get<Path>(path);
  if (!b || !p) return InvalidParameter;
  p->data = b->path;
  return Ok;
}

Status GdipGetPathGradientCenterPoint(GpPathGradient* brush, GpPointF* points) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  if (!b || !points) return InvalidParameter;
  *points = b->center;
  return Ok;
}

Status GdipGetPathGradientCenterPointI(GpPathGradient* brush, GpPoint* points) {
  if (!points) return InvalidParameter;
  GpPointF f;
  Status s = GdipGetPathGradientCenterPoint(brush, &f);
  if (s == Ok) *points = {static_cast<INT>(std::lround(f.X)), static_cast<INT>(std::lround(f.Y))};
  return s;
}

Status GdipSetPathGradientCenterPoint(GpPathGradient* brush, const GpPointF* points) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  if (!b || !points || !Finite(points->X, points->Y)) return InvalidParameter;
  b->center = *points;
  return Ok;
}

Status GdipSetPathGradientCenterPointI(GpPathGradient* brush, const GpPoint* points) {
  if (!points) return InvalidParameter;
  GpPointF f{REAL(points->X), REAL(points->Y)};
  return GdipSetPathGradientCenterPoint(brush, &f);
}

Status GdipGetPathGradientRect(GpPathGradient* brush, GpRectF* rect) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  if (!b || !rect) return InvalidParameter;
  *rect = PathGradientBounds(*b);
  return Ok;
}

Status GdipGetPathGradientRectI(GpPathGradient* brush, GpRect* rect) {
  if (!rect) return InvalidParameter;
  GpRectF r;
  Status s = GdipGetPathGradientRect(brush, &r);
  if (s == Ok)
    *rect = {static_cast<INT>(std::lround(r.X)), static_cast<INT>(std::lround(r.Y)),
             static_cast<INT>(std::lround(r.Width)), static_cast<INT>(std::lround(r.Height))};
  return s;
}

Status GdipGetPathGradientPointCount(GpPathGradient* brush, INT* count) {
  return GdipGetPathGradientSurroundColorCount(brush, count);
}

Status GdipSetPathGradientGammaCorrection(GpPathGradient* brush, BOOL useGammaCorrection) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  if (!b) return InvalidParameter;
  b->gamma = useGammaCorrection != 0;
  return Ok;
}

Status GdipGetPathGradientGammaCorrection(GpPathGradient* brush, BOOL* useGammaCorrection) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  if (!b || !useGammaCorrection) return InvalidParameter;
  *useGammaCorrection = b->gamma ? TRUE : FALSE;
  return Ok;
}

Status GdipGetPathGradientBlendCount(GpPathGradient* brush, INT* count) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  if (!b || !count) return InvalidParameter;
  *count = b->blend.FactorCount();
  return Ok;
}

Status GdipGetPathGradientBlend(GpPathGradient* brush, REAL* blend, REAL* positions, INT count) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  return b ? b->blend.GetFactors(blend, positions, count) : InvalidParameter;
}

Status GdipSetPathGradientBlend(GpPathGradient* brush, const REAL* blend, const REAL* positions, INT count) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  return b ? b->blend.SetFactors(blend, positions, count) : InvalidParameter;
}

Status GdipGetPathGradientPresetBlendCount(GpPathGradient* brush, INT* count) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  if (!b || !count) return InvalidParameter;
  *count = b->blend.PresetCount();
  return Ok;
}

Status GdipGetPathGradientPresetBlend(GpPathGradient* brush, ARGB* blend, REAL* positions, INT count) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  return b ? b->blend.GetPreset(blend, positions, count) : InvalidParameter;
}

Status GdipSetPathGradientPresetBlend(GpPathGradient* brush, const ARGB* blend, const REAL* positions,
                                      INT count) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  return b ? b->blend.SetPreset(blend, positions, count) : InvalidParameter;
}

Status GdipSetPathGradientSigmaBlend(GpPathGradient* brush, REAL focus, REAL scale) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  return b ? b->blend.SetSigma(focus, scale) : InvalidParameter;
}

Status GdipSetPathGradientLinearBlend(GpPathGradient* brush, REAL focus, REAL scale) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  return b ? b->blend.SetLinear(focus, scale) : InvalidParameter;
}

Status GdipGetPathGradientWrapMode(GpPathGradient* brush, GpWrapMode* wrapmode) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  if (!b || !wrapmode) return InvalidParameter;
  *wrapmode = b->wrap;
  return Ok;
}

Status GdipSetPathGradientWrapMode(GpPathGradient* brush, GpWrapMode wrapmode) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  if (!b || wrapmode < WrapModeTile || wrapmode > WrapModeClamp) return InvalidParameter;
  b->wrap = wrapmode;
  return Ok;
}

Status GdipGetPathGradientTransform(GpPathGradient* brush, GpMatrix* matrix) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  auto* m = Get<Matrix>(matrix);
  if (!b || !m) return InvalidParameter;
  m->m = b->transform;
  return Ok;
}

Status GdipSetPathGradientTransform(GpPathGradient* brush, GpMatrix* matrix) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  auto* m = Get<Matrix>(matrix);
  if (!b || !m || !m->m.Invertible()) return InvalidParameter;
  b->transform = m->m;
  return Ok;
}

Status GdipResetPathGradientTransform(GpPathGradient* brush) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  if (!b) return InvalidParameter;
  b->transform = Mx{};
  return Ok;
}

Status GdipMultiplyPathGradientTransform(GpPathGradient* brush, const GpMatrix* matrix, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  auto* m = Get<Matrix>(matrix);
  if (!b || !m) return InvalidParameter;
  Combine(b->transform, m->m, order);
  return Ok;
}

Status GdipTranslatePathGradientTransform(GpPathGradient* brush, REAL dx, REAL dy, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  if (!b || !Finite(dx, dy)) return InvalidParameter;
  Combine(b->transform, Mx::Translation(dx, dy), order);
  return Ok;
}

Status GdipScalePathGradientTransform(GpPathGradient* brush, REAL sx, REAL sy, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  if (!b || !Finite(sx, sy)) return InvalidParameter;
  Combine(b->transform, Mx::Scaling(sx, sy), order);
  return Ok;
}

Status GdipRotatePathGradientTransform(GpPathGradient* brush, REAL angle, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  if (!b || !Finite(angle)) return InvalidParameter;
  Combine(b->transform, Mx::Rotation(angle), order);
  return Ok;
}

Status GdipGetPathGradientFocusScales(GpPathGradient* brush, REAL* xScale, REAL* yScale) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  if (!b || !xScale || !yScale) return InvalidParameter;
  *xScale = b->focusX;
  *yScale = b->focusY;
  return Ok;
}

Status GdipSetPathGradientFocusScales(GpPathGradient* brush, REAL xScale, REAL yScale) {
  QD_GDIP_ENTER();
  auto* b = GetPathGradient(brush);
  if (!b || !Finite(xScale, yScale)) return InvalidParameter;
  b->focusX = xScale;
  b->focusY = yScale;
  return Ok;
}

}  // namespace qd::gdiplus
