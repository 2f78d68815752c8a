// Paths: figures of lines and Béziers, the shapes they are built from, flattening and hit tests.
#include <algorithm>

#include "platform/gdiplus/gdip_internal.h"

namespace qd::gdiplus {

using namespace detail;

namespace detail {

namespace {

constexpr double kPi = 3.14159265358979323846;

double Rad(double degrees) {
  return degrees * kPi / 180.0;
}

// The ellipse's parameter for the point seen at `angle` (radians) from its centre, kept in
// the same turn as the angle.
double EllipseParam(double a, double b, double angle) {
  if (a == 0 || b == 0) return angle;
  double t = std::atan2(a * std::sin(angle), b * std::cos(angle));
  double turns = std::round((angle - t) / (2 * kPi));
  return t + turns * 2 * kPi;
}

}  // namespace

void PathData::AddPoint(double x, double y, BYTE type) {
  if (newFigure) {
    type = PathPointTypeStart;
    newFigure = false;
  }
  points.push_back({static_cast<REAL>(x), static_cast<REAL>(y)});
  types.push_back(type);
}

void PathData::LineTo(double x, double y) {
  AddPoint(x, y, PathPointTypeLine);
}

void PathData::BezierTo(double x1, double y1, double x2, double y2, double x3, double y3) {
  if (newFigure) return;  // a Bézier continues a figure; callers start one first
  AddPoint(x1, y1, PathPointTypeBezier);
  AddPoint(x2, y2, PathPointTypeBezier);
  AddPoint(x3, y3, PathPointTypeBezier);
}

void PathData::CloseFigure() {
  if (!types.empty() && !newFigure) types.back() |= PathPointTypeCloseSubpath;
  newFigure = true;
}

void PathData::Transform(const Mx& m) {
  for (auto& p : points) {
    double x = p.X, y = p.Y;
    m.Apply(x, y);
    p = {static_cast<REAL>(x), static_cast<REAL>(y)};
  }
}

void PathData::AddLines(const GpPointF* p, INT count) {
  for (INT i = 0; i < count; ++i) LineTo(p[i].X, p[i].Y);
}

void PathData::AddArc(double x, double y, double w, double h, double start, double sweep) {
  sweep = std::clamp(sweep, -360.0, 360.0);
  double a = w / 2, b = h / 2, cx = x + a, cy = y + b;
  double t0 = EllipseParam(a, b, Rad(start));
  LineTo(cx + a * std::cos(t0), cy + b * std::sin(t0));
  if (sweep == 0) return;
  int segments = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / 90.0 - 1e-9)));
  double step = sweep / segments;
  double prev = t0;
  for (int i = 1; i <= segments; ++i) {
    double t1 = EllipseParam(a, b, Rad(start + step * i));
    // Keep the direction of the sweep even where the parameter wraps.
    while (sweep > 0 && t1 < prev) t1 += 2 * kPi;
    while (sweep < 0 && t1 > prev) t1 -= 2 * kPi;
    double k = 4.0 / 3.0 * std::tan((t1 - prev) / 4);
    double x0 = cx + a * std::cos(prev), y0 = cy + b * std::sin(prev);
    double x3 = cx + a * std::cos(t1), y3 = cy + b * std::sin(t1);
    BezierTo(x0 - k * a * std::sin(prev), y0 + k * b * std::cos(prev), x3 + k * a * std::sin(t1),
             y3 - k * b * std::cos(t1), x3, y3);
    prev = t1;
  }
}

void PathData::AddBeziers(const GpPointF* p, INT count) {
  LineTo(p[0].X, p[0].Y);
  for (INT i = 1; i + 2 < count; i += 3)
    BezierTo(p[i].X, p[i].Y, p[i + 1].X, p[i + 1].Y, p[i + 2].X, p[i + 2].Y);
}

void PathData::AddCurve(const GpPointF* p, INT count, INT offset, INT segments, double tension, bool closed) {
  // Cardinal spline: each segment is a Bézier whose control points follow the neighbours.
  auto at = [&](INT i) -> GpPointF {
    if (closed) return p[((i % count) + count) % count];
    return p[std::clamp<INT>(i, 0, count - 1)];
  };
  double k = tension / 3.0;
  if (closed) {
    StartFigure();
    offset = 0;
    segments = count;
  }
  LineTo(at(offset).X, at(offset).Y);
  for (INT s = 0; s < segments; ++s) {
    INT i = offset + s;
    GpPointF p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
    BezierTo(p1.X + k * (p2.X - p0.X), p1.Y + k * (p2.Y - p0.Y), p2.X - k * (p3.X - p1.X),
             p2.Y - k * (p3.Y - p1.Y), p2.X, p2.Y);
  }
  if (closed) CloseFigure();
}

void PathData::AddRectangle(double x, double y, double w, double h) {
  StartFigure();
  LineTo(x, y);
  LineTo(x + w, y);
  LineTo(x + w, y + h);
  LineTo(x, y + h);
  CloseFigure();
}

void PathData::AddEllipse(double x, double y, double w, double h) {
  StartFigure();
  AddArc(x, y, w, h, 0, 360);
  CloseFigure();
}

void PathData::AddPie(double x, double y, double w, double h, double start, double sweep) {
  StartFigure();
  LineTo(x + w / 2, y + h / 2);
  AddArc(x, y, w, h, start, sweep);
  CloseFigure();
}

void PathData::AddPolygon(const GpPointF* p, INT count) {
  StartFigure();
  AddLines(p, count);
  CloseFigure();
}

namespace {

void FlattenBezier(double x0, double y0, double x1, double y1, double x2, double y2, double x3, double y3,
                   double tol, int depth, std::vector<double>& out) {
  // Flat enough when both control points are near the chord.
  double dx = x3 - x0, dy = y3 - y0;
  double d1 = std::fabs((x1 - x3) * dy - (y1 - y3) * dx);
  double d2 = std::fabs((x2 - x3) * dy - (y2 - y3) * dx);
  double len2 = dx * dx + dy * dy;
  bool flat;
  if (len2 < 1e-12)
    flat = std::hypot(x1 - x0, y1 - y0) + std::hypot(x2 - x0, y2 - y0) <= tol;
  else
    flat = (d1 + d2) * (d1 + d2) <= tol * tol * len2;
  if (flat || depth >= 16) {
    out.push_back(x3);
    out.push_back(y3);
    return;
  }
  double x01 = (x0 + x1) / 2, y01 = (y0 + y1) / 2, x12 = (x1 + x2) / 2, y12 = (y1 + y2) / 2;
  double x23 = (x2 + x3) / 2, y23 = (y2 + y3) / 2;
  double xa = (x01 + x12) / 2, ya = (y01 + y12) / 2, xb = (x12 + x23) / 2, yb = (y12 + y23) / 2;
  double xm = (xa + xb) / 2, ym = (ya + yb) / 2;
  FlattenBezier(x0, y0, x01, y01, xa, ya, xm, ym, tol, depth + 1, out);
  FlattenBezier(xm, ym, xb, yb, x23, y23, x3, y3, tol, depth + 1, out);
}

}  // namespace

void Flatten(const PathData& path, const Mx& m, double tolerance, std::vector<std::vector<double>>& xy,
             std::vector<bool>& closed) {
  xy.clear();
  closed.clear();
  const size_t n = path.points.size();
  auto pt = [&](size_t i, double& x, double& y) {
    x = path.points[i].X;
    y = path.points[i].Y;
    m.Apply(x, y);
  };
  for (size_t i = 0; i < n; ++i) {
    BYTE type = path.types[i] & PathPointTypePathTypeMask;
    double x, y;
    pt(i, x, y);
    if (type == PathPointTypeStart || xy.empty()) {
      xy.emplace_back();
      closed.push_back(false);
      xy.back().push_back(x);
      xy.back().push_back(y);
    } else if (type == PathPointTypeBezier && i + 2 < n) {
      auto& f = xy.back();
      double x0 = f[f.size() - 2], y0 = f[f.size() - 1], x2, y2, x3, y3;
      pt(i + 1, x2, y2);
      pt(i + 2, x3, y3);
      FlattenBezier(x0, y0, x, y, x2, y2, x3, y3, tolerance, 0, f);
      i += 2;
    } else {
      xy.back().push_back(x);
      xy.back().push_back(y);
    }
    if (path.types[i] & PathPointTypeCloseSubpath) closed.back() = true;
  }
}

bool PathBounds(const PathData& path, const Mx& m, double& l, double& t, double& r, double& b) {
  std::vector<std::vector<double>> xy;
  std::vector<bool> closed;
  Flatten(path, m, 0.1, xy, closed);
  bool any = false;
  for (const auto& f : xy)
    for (size_t i = 0; i + 1 < f.size(); i += 2) {
      if (!any) {
        l = r = f[i];
        t = b = f[i + 1];
        any = true;
      }
      l = std::min(l, f[i]);
      r = std::max(r, f[i]);
      t = std::min(t, f[i + 1]);
      b = std::max(b, f[i + 1]);
    }
  if (!any) l = t = r = b = 0;
  return any;
}

bool PointInPath(const PathData& path, double x, double y) {
  std::vector<std::vector<double>> xy;
  std::vector<bool> closed;
  Flatten(path, Mx{}, 0.1, xy, closed);
  int winding = 0, crossings = 0;
  for (const auto& f : xy) {
    size_t n = f.size() / 2;
    for (size_t i = 0; i < n; ++i) {
      double ax = f[2 * i], ay = f[2 * i + 1], bx = f[2 * ((i + 1) % n)], by = f[2 * ((i + 1) % n) + 1];
      if ((ay <= y) != (by <= y)) {
        double cx = ax + (y - ay) * (bx - ax) / (by - ay);
        if (cx > x) {
          ++crossings;
          winding += by > ay ? 1 : -1;
        }
      }
    }
  }
  return path.fillMode == FillModeWinding ? winding != 0 : (crossings & 1) != 0;
}

}  // namespace detail

// ---- Flat API --------------------------------------------------------------------------------

namespace {

bool ValidFill(FillMode m) {
  return m == FillModeAlternate || m == FillModeWinding;
}

Status NewPath(PathData data, GpPath** out) {
  auto p = std::make_unique<Path>();
  p->data = std::move(data);
  *out = Adopt(std::move(p));
  return Ok;
}

}  // namespace

Status GdipCreatePath(GpFillMode brushMode, GpPath** path) {
  QD_GDIP_ENTER();
  if (!path || !ValidFill(brushMode)) return InvalidParameter;
  PathData d;
  d.fillMode = brushMode;
  return NewPath(std::move(d), path);
}

Status GdipCreatePath2(const GpPointF* points, const BYTE* types, INT count, GpFillMode fillMode,
                       GpPath** path) {
  QD_GDIP_ENTER();
  if (!path || !ValidFill(fillMode) || count < 0 || (count > 0 && (!points || !types)) ||
      !FinitePoints(points, count))
    return InvalidParameter;
  PathData d;
  d.fillMode = fillMode;
  d.points.assign(points, points + count);
  d.types.assign(types, types + count);
  // The first point always starts a figure, and a Bézier needs its three points.
  for (INT i = 0; i < count; ++i) {
    BYTE t = d.types[i] & PathPointTypePathTypeMask;
    if (i == 0 || (i > 0 && (d.types[i - 1] & PathPointTypeCloseSubpath))) {
      if (t != PathPointTypeStart)
        d.types[i] = (d.types[i] & ~PathPointTypePathTypeMask) | PathPointTypeStart;
    } else if (t == PathPointTypeBezier) {
      if (i + 2 >= count) return InvalidParameter;
      i += 2;
    } else if (t != PathPointTypeLine && t != PathPointTypeStart) {
      return InvalidParameter;
    }
  }
  d.newFigure = count == 0 || (d.types.back() & PathPointTypeCloseSubpath);
  return NewPath(std::move(d), path);
}

Status GdipCreatePath2I(const GpPoint* points, const BYTE* types, INT count, GpFillMode fillMode,
                        GpPath** path) {
  if (count > 0 && !points) return InvalidParameter;
  auto p = ToF(points, count);
  return GdipCreatePath2(p.data(), types, count, fillMode, path);
}

Status GdipClonePath(GpPath* path, GpPath** clonePath) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p || !clonePath) return InvalidParameter;
  return NewPath(p->data, clonePath);
}

Status GdipDeletePath(GpPath* path) {
  QD_GDIP_LOCK();
  if (!Get<Path>(path)) return InvalidParameter;
  Destroy(path);
  return Ok;
}

Status GdipResetPath(GpPath* path) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p) return InvalidParameter;
  p->data = PathData{};
  return Ok;
}

Status GdipGetPointCount(GpPath* path, INT* count) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p || !count) return InvalidParameter;
  *count = static_cast<INT>(p->data.points.size());
  return Ok;
}

Status GdipGetPathTypes(GpPath* path, BYTE* types, INT count) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p || !types || count <= 0) return InvalidParameter;
  if (static_cast<size_t>(count) < p->data.types.size()) return InsufficientBuffer;
  std::copy(p->data.types.begin(), p->data.types.end(), types);
  return Ok;
}

Status GdipGetPathPoints(GpPath* path, GpPointF* points, INT count) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p || !points || count <= 0) return InvalidParameter;
  if (static_cast<size_t>(count) < p->data.points.size()) return InsufficientBuffer;
  std::copy(p->data.points.begin(), p->data.points.end(), points);
  return Ok;
}

Status GdipGetPathPointsI(GpPath* path, GpPoint* points, INT count) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p || !points || count <= 0) return InvalidParameter;
  if (static_cast<size_t>(count) < p->data.points.size()) return InsufficientBuffer;
  for (size_t i = 0; i < p->data.points.size(); ++i)
    points[i] = {static_cast<INT>(std::lround(p->data.points[i].X)),
                 static_cast<INT>(std::lround(p->data.points[i].Y))};
  return Ok;
}

Status GdipGetPathFillMode(GpPath* path, GpFillMode* fillmode) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p || !fillmode) return InvalidParameter;
  *fillmode = p->data.fillMode;
  return Ok;
}

Status GdipSetPathFillMode(GpPath* path, GpFillMode fillmode) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p || !ValidFill(fillmode)) return InvalidParameter;
  p->data.fillMode = fillmode;
  return Ok;
}

Status GdipGetPathData(GpPath* path, GpPathData* pathData) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p || !pathData || !pathData->Points || !pathData->Types) return InvalidParameter;
  if (static_cast<size_t>(std::max(pathData->Count, 0)) < p->data.points.size()) return InsufficientBuffer;
  std::copy(p->data.points.begin(), p->data.points.end(), pathData->Points);
  std::copy(p->data.types.begin(), p->data.types.end(), pathData->Types);
  pathData->Count = static_cast<INT>(p->data.points.size());
  return Ok;
}

Status GdipGetPathLastPoint(GpPath* path, GpPointF* lastPoint) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p || !lastPoint || p->data.points.empty()) return InvalidParameter;
  *lastPoint = p->data.points.back();
  return Ok;
}

Status GdipStartPathFigure(GpPath* path) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p) return InvalidParameter;
  p->data.StartFigure();
  return Ok;
}

Status GdipClosePathFigure(GpPath* path) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p) return InvalidParameter;
  p->data.CloseFigure();
  return Ok;
}

Status GdipClosePathFigures(GpPath* path) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p) return InvalidParameter;
  auto& t = p->data.types;
  for (size_t i = 0; i < t.size(); ++i)
    if (i + 1 == t.size() || (t[i + 1] & PathPointTypePathTypeMask) == PathPointTypeStart)
      t[i] |= PathPointTypeCloseSubpath;
  p->data.newFigure = true;
  return Ok;
}

Status GdipSetPathMarker(GpPath* path) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p) return InvalidParameter;
  if (!p->data.types.empty()) p->data.types.back() |= PathPointTypePathMarker;
  return Ok;
}

Status GdipClearPathMarkers(GpPath* path) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p) return InvalidParameter;
  for (auto& t : p->data.types) t &= ~PathPointTypePathMarker;
  return Ok;
}

Status GdipReversePath(GpPath* path) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p) return InvalidParameter;
  auto& pts = p->data.points;
  auto& types = p->data.types;
  // Reverse each figure's points; a segment's type moves to the point that now ends it.
  size_t start = 0;
  std::vector<BYTE> out(types.size());
  while (start < types.size()) {
    size_t end = start + 1;
    while (end < types.size() && (types[end] & PathPointTypePathTypeMask) != PathPointTypeStart) ++end;
    bool closedFigure = (types[end - 1] & PathPointTypeCloseSubpath) != 0;
    std::reverse(pts.begin() + static_cast<ptrdiff_t>(start), pts.begin() + static_cast<ptrdiff_t>(end));
    out[start] = PathPointTypeStart;
    for (size_t k = start + 1; k < end; ++k) {
      size_t orig = end - (k - start);  // the original point that ended this segment
      out[k] = types[orig] & PathPointTypePathTypeMask;
    }
    if (closedFigure) out[end - 1] |= PathPointTypeCloseSubpath;
    start = end;
  }
  types = out;
  return Ok;
}

Status GdipAddPathLine(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p || !Finite(x1, y1, x2, y2)) return InvalidParameter;
  p->data.LineTo(x1, y1);
  p->data.LineTo(x2, y2);
  return Ok;
}

Status GdipAddPathLineI(GpPath* path, INT x1, INT y1, INT x2, INT y2) {
  return GdipAddPathLine(path, REAL(x1), REAL(y1), REAL(x2), REAL(y2));
}

Status GdipAddPathLine2(GpPath* path, const GpPointF* points, INT count) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p || !points || count <= 0 || !FinitePoints(points, count)) return InvalidParameter;
  p->data.AddLines(points, count);
  return Ok;
}

Status GdipAddPathLine2I(GpPath* path, const GpPoint* points, INT count) {
  if (!points || count <= 0) return InvalidParameter;
  auto v = ToF(points, count);
  return GdipAddPathLine2(path, v.data(), count);
}

Status GdipAddPathArc(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                      REAL sweepAngle) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p || !Finite(x, y, width, height, startAngle, sweepAngle)) return InvalidParameter;
  p->data.AddArc(x, y, width, height, startAngle, sweepAngle);
  return Ok;
}

Status GdipAddPathArcI(GpPath* path, INT x, INT y, INT width, INT height, REAL startAngle, REAL sweepAngle) {
  return GdipAddPathArc(path, REAL(x), REAL(y), REAL(width), REAL(height), startAngle, sweepAngle);
}

Status GdipAddPathBezier(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4,
                         REAL y4) {
  GpPointF pts[4] = {{x1, y1}, {x2, y2}, {x3, y3}, {x4, y4}};
  return GdipAddPathBeziers(path, pts, 4);
}

Status GdipAddPathBezierI(GpPath* path, INT x1, INT y1, INT x2, INT y2, INT x3, INT y3, INT x4, INT y4) {
  return GdipAddPathBezier(path, REAL(x1), REAL(y1), REAL(x2), REAL(y2), REAL(x3), REAL(y3), REAL(x4),
                           REAL(y4));
}

Status GdipAddPathBeziers(GpPath* path, const GpPointF* points, INT count) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p || !points || count < 4 || (count - 1) % 3 != 0 || !FinitePoints(points, count))
    return InvalidParameter;
  p->data.AddBeziers(points, count);
  return Ok;
}

Status GdipAddPathBeziersI(GpPath* path, const GpPoint* points, INT count) {
  if (!points || count <= 0) return InvalidParameter;
  auto v = ToF(points, count);
  return GdipAddPathBeziers(path, v.data(), count);
}

Status GdipAddPathCurve3(GpPath* path, const GpPointF* points, INT count, INT offset, INT numberOfSegments,
                         REAL tension) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p || !points || count < 2 || offset < 0 || numberOfSegments < 1 ||
      offset + numberOfSegments >= count || !Finite(tension) || !FinitePoints(points, count))
    return InvalidParameter;
  p->data.AddCurve(points, count, offset, numberOfSegments, tension, false);
  return Ok;
}

Status GdipAddPathCurve3I(GpPath* path, const GpPoint* points, INT count, INT offset, INT numberOfSegments,
                          REAL tension) {
  if (!points || count <= 0) return InvalidParameter;
  auto v = ToF(points, count);
  return GdipAddPathCurve3(path, v.data(), count, offset, numberOfSegments, tension);
}

Status GdipAddPathCurve2(GpPath* path, const GpPointF* points, INT count, REAL tension) {
  return GdipAddPathCurve3(path, points, count, 0, count - 1, tension);
}

Status GdipAddPathCurve2I(GpPath* path, const GpPoint* points, INT count, REAL tension) {
  return GdipAddPathCurve3I(path, points, count, 0, count - 1, tension);
}

Status GdipAddPathCurve(GpPath* path, const GpPointF* points, INT count) {
  return GdipAddPathCurve2(path, points, count, 0.5f);
}

Status GdipAddPathCurveI(GpPath* path, const GpPoint* points, INT count) {
  return GdipAddPathCurve2I(path, points, count, 0.5f);
}

Status GdipAddPathClosedCurve2(GpPath* path, const GpPointF* points, INT count, REAL tension) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p || !points || count < 3 || !Finite(tension) || !FinitePoints(points, count)) return InvalidParameter;
  p->data.AddCurve(points, count, 0, count, tension, true);
  return Ok;
}

Status GdipAddPathClosedCurve2I(GpPath* path, const GpPoint* points, INT count, REAL tension) {
  if (!points || count <= 0) return InvalidParameter;
  auto v = ToF(points, count);
  return GdipAddPathClosedCurve2(path, v.data(), count, tension);
}

Status GdipAddPathClosedCurve(GpPath* path, const GpPointF* points, INT count) {
  return GdipAddPathClosedCurve2(path, points, count, 0.5f);
}

Status GdipAddPathClosedCurveI(GpPath* path, const GpPoint* points, INT count) {
  return GdipAddPathClosedCurve2I(path, points, count, 0.5f);
}

Status GdipAddPathRectangle(GpPath* path, REAL x, REAL y, REAL width, REAL height) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p || !Finite(x, y, width, height)) return InvalidParameter;
  if (width != 0 && height != 0) p->data.AddRectangle(x, y, width, height);
  return Ok;
}

Status GdipAddPathRectangleI(GpPath* path, INT x, INT y, INT width, INT height) {
  return GdipAddPathRectangle(path, REAL(x), REAL(y), REAL(width), REAL(height));
}

Status GdipAddPathRectangles(GpPath* path, const GpRectF* rects, INT count) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p || !rects || count <= 0) return InvalidParameter;
  for (INT i = 0; i < count; ++i)
    if (!Finite(rects[i].X, rects[i].Y, rects[i].Width, rects[i].Height)) return InvalidParameter;
  for (INT i = 0; i < count; ++i)
    if (rects[i].Width != 0 && rects[i].Height != 0)
      p->data.AddRectangle(rects[i].X, rects[i].Y, rects[i].Width, rects[i].Height);
  return Ok;
}

Status GdipAddPathRectanglesI(GpPath* path, const GpRect* rects, INT count) {
  if (!rects || count <= 0) return InvalidParameter;
  std::vector<GpRectF> v(static_cast<size_t>(count));
  for (INT i = 0; i < count; ++i)
    v[i] = {REAL(rects[i].X), REAL(rects[i].Y), REAL(rects[i].Width), REAL(rects[i].Height)};
  return GdipAddPathRectangles(path, v.data(), count);
}

Status GdipAddPathEllipse(GpPath* path, REAL x, REAL y, REAL width, REAL height) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p || !Finite(x, y, width, height)) return InvalidParameter;
  p->data.AddEllipse(x, y, width, height);
  return Ok;
}

Status GdipAddPathEllipseI(GpPath* path, INT x, INT y, INT width, INT height) {
  return GdipAddPathEllipse(path, REAL(x), REAL(y), REAL(width), REAL(height));
}

Status GdipAddPathPie(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                      REAL sweepAngle) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p || !Finite(x, y, width, height, startAngle, sweepAngle)) return InvalidParameter;
  p->data.AddPie(x, y, width, height, startAngle, sweepAngle);
  return Ok;
}

Status GdipAddPathPieI(GpPath* path, INT x, INT y, INT width, INT height, REAL startAngle, REAL sweepAngle) {
  return GdipAddPathPie(path, REAL(x), REAL(y), REAL(width), REAL(height), startAngle, sweepAngle);
}

Status GdipAddPathPolygon(GpPath* path, const GpPointF* points, INT count) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p || !points || count < 3 || !FinitePoints(points, count)) return InvalidParameter;
  p->data.AddPolygon(points, count);
  return Ok;
}

Status GdipAddPathPolygonI(GpPath* path, const GpPoint* points, INT count) {
  if (!points || count <= 0) return InvalidParameter;
  auto v = ToF(points, count);
  return GdipAddPathPolygon(path, v.data(), count);
}

Status GdipAddPathPath(GpPath* path, const GpPath* addingPath, BOOL connect) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  auto* q = Get<Path>(addingPath);
  if (!p || !q) return InvalidParameter;
  PathData add = q->data;  // a copy: the path may be added to itself
  if (add.points.empty()) return Ok;
  bool join = connect && !p->data.newFigure && !p->data.points.empty();
  size_t first = p->data.points.size();
  p->data.points.insert(p->data.points.end(), add.points.begin(), add.points.end());
  p->data.types.insert(p->data.types.end(), add.types.begin(), add.types.end());
  if (join) p->data.types[first] = (p->data.types[first] & ~PathPointTypePathTypeMask) | PathPointTypeLine;
  p->data.newFigure = add.newFigure;
  return Ok;
}

Status GdipFlattenPath(GpPath* path, GpMatrix* matrix, REAL flatness) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  auto* m = matrix ? Get<Matrix>(matrix) : nullptr;
  if (!p || (matrix && !m) || !Finite(flatness)) return InvalidParameter;
  std::vector<std::vector<double>> xy;
  std::vector<bool> closed;
  Flatten(p->data, m ? m->m : Mx{}, std::max<double>(flatness, 0.01), xy, closed);
  PathData out;
  out.fillMode = p->data.fillMode;
  for (size_t f = 0; f < xy.size(); ++f) {
    out.StartFigure();
    for (size_t i = 0; i + 1 < xy[f].size(); i += 2) out.LineTo(xy[f][i], xy[f][i + 1]);
    if (closed[f]) out.CloseFigure();
  }
  out.newFigure = p->data.newFigure;
  p->data = std::move(out);
  return Ok;
}

Status GdipTransformPath(GpPath* path, GpMatrix* matrix) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p) return InvalidParameter;
  if (!matrix) return Ok;
  auto* m = Get<Matrix>(matrix);
  if (!m) return InvalidParameter;
  p->data.Transform(m->m);
  return Ok;
}

Status GdipGetPathWorldBounds(GpPath* path, GpRectF* bounds, const GpMatrix* matrix, const GpPen* pen) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  auto* m = matrix ? Get<Matrix>(matrix) : nullptr;
  auto* pn = pen ? Get<Pen>(pen) : nullptr;
  if (!p || !bounds || (matrix && !m) || (pen && !pn)) return InvalidParameter;
  double l, t, r, b;
  if (!PathBounds(p->data, m ? m->m : Mx{}, l, t, r, b)) {
    *bounds = {};
    return Ok;
  }
  if (pn) {
    double half = std::max<double>(pn->width, 1.0) / 2;
    if (pn->join == LineJoinMiter || pn->join == LineJoinMiterClipped)
      half *= std::max<double>(pn->miterLimit, 1.0);
    l -= half;
    t -= half;
    r += half;
    b += half;
  }
  *bounds = {REAL(l), REAL(t), REAL(r - l), REAL(b - t)};
  return Ok;
}

Status GdipGetPathWorldBoundsI(GpPath* path, GpRect* bounds, const GpMatrix* matrix, const GpPen* pen) {
  if (!bounds) return InvalidParameter;
  GpRectF r;
  Status s = GdipGetPathWorldBounds(path, &r, matrix, pen);
  if (s != Ok) return s;
  // The smallest integer rectangle holding the bounds.
  double l = std::floor(r.X), t = std::floor(r.Y), rr = std::ceil(double(r.X) + r.Width),
         bb = std::ceil(double(r.Y) + r.Height);
  *bounds = {static_cast<INT>(l), static_cast<INT>(t), static_cast<INT>(rr - l), static_cast<INT>(bb - t)};
  return Ok;
}

Status GdipIsVisiblePathPoint(GpPath* path, REAL x, REAL y, GpGraphics* graphics, BOOL* result) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p || !result || (graphics && !Get<Graphics>(graphics))) return InvalidParameter;
  *result = Finite(x, y) && PointInPath(p->data, x, y) ? TRUE : FALSE;
  return Ok;
}

Status GdipIsVisiblePathPointI(GpPath* path, INT x, INT y, GpGraphics* graphics, BOOL* result) {
  return GdipIsVisiblePathPoint(path, REAL(x), REAL(y), graphics, result);
}

Status GdipIsOutlineVisiblePathPoint(GpPath* path, REAL x, REAL y, GpPen* pen, GpGraphics* graphics,
                                     BOOL* result) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  auto* pn = Get<Pen>(pen);
  if (!p || !pn || !result || (graphics && !Get<Graphics>(graphics))) return InvalidParameter;
  *result = FALSE;
  if (!Finite(x, y)) return Ok;
  std::vector<std::vector<double>> xy;
  std::vector<bool> closed;
  Flatten(p->data, Mx{}, 0.1, xy, closed);
  double reach = std::max<double>(pn->width, 1.0) / 2;
  for (size_t f = 0; f < xy.size(); ++f) {
    const auto& v = xy[f];
    size_t n = v.size() / 2;
    size_t segs = closed[f] ? n : (n > 0 ? n - 1 : 0);
    if (n == 1 && std::hypot(v[0] - x, v[1] - y) <= reach) *result = TRUE;
    for (size_t i = 0; i < segs && !*result; ++i) {
      double ax = v[2 * i], ay = v[2 * i + 1], bx = v[2 * ((i + 1) % n)], by = v[2 * ((i + 1) % n) + 1];
      double dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
      double u = len2 > 0 ? std::clamp(((x - ax) * dx + (y - ay) * dy) / len2, 0.0, 1.0) : 0.0;
      if (std::hypot(ax + u * dx - x, ay + u * dy - y) <= reach) *result = TRUE;
    }
  }
  return Ok;
}

Status GdipIsOutlineVisiblePathPointI(GpPath* path, INT x, INT y, GpPen* pen, GpGraphics* graphics,
                                      BOOL* result) {
  return GdipIsOutlineVisiblePathPoint(path, REAL(x), REAL(y), pen, graphics, result);
}

}  // namespace qd::gdiplus
