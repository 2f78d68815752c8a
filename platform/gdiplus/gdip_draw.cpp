// The outline, fill and image calls of graphics objects.
#include <algorithm>

#include "platform/gdiplus/gdip_internal.h"

namespace qd::gdiplus {

using namespace detail;

namespace {

Status Stroke(GpGraphics* graphics, GpPen* pen, const PathData& path) {
  auto* g = Get<Graphics>(graphics);
  auto* p = Get<Pen>(pen);
  if (!g || !p) return InvalidParameter;
  return StrokePathWith(*g, path, *p);
}

Status Fill(GpGraphics* graphics, GpBrush* brush, const PathData& path) {
  auto* g = Get<Graphics>(graphics);
  auto* b = GetBrush(brush);
  if (!g || !b) return InvalidParameter;
  return FillPathWith(*g, path, *b);
}

PathData RectPath(double x, double y, double w, double h) {
  PathData p;
  p.StartFigure();
  p.LineTo(x, y);
  p.LineTo(x + w, y);
  p.LineTo(x + w, y + h);
  p.LineTo(x, y + h);
  p.CloseFigure();
  return p;
}

double SourcePixels(Unit unit, double v, double dpi) {
  return v * UnitToPixels(unit, dpi);
}

bool ValidSourceUnit(Unit u) {
  return u >= UnitWorld && u <= UnitMillimeter;
}

}  // namespace

// ---- Outlines --------------------------------------------------------------------------------

Status GdipDrawLine(GpGraphics* graphics, GpPen* pen, REAL x1, REAL y1, REAL x2, REAL y2) {
  QD_GDIP_ENTER();
  if (!Finite(x1, y1, x2, y2)) return InvalidParameter;
  PathData p;
  p.LineTo(x1, y1);
  p.LineTo(x2, y2);
  return Stroke(graphics, pen, p);
}

Status GdipDrawLineI(GpGraphics* graphics, GpPen* pen, INT x1, INT y1, INT x2, INT y2) {
  return GdipDrawLine(graphics, pen, REAL(x1), REAL(y1), REAL(x2), REAL(y2));
}

Status GdipDrawLines(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count) {
  QD_GDIP_ENTER();
  if (!points || count < 2 || !FinitePoints(points, count)) return InvalidParameter;
  PathData p;
  p.AddLines(points, count);
  return Stroke(graphics, pen, p);
}

Status GdipDrawLinesI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count) {
  if (!points || count < 2) return InvalidParameter;
  auto v = ToF(points, count);
  return GdipDrawLines(graphics, pen, v.data(), count);
}

Status GdipDrawArc(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                   REAL sweepAngle) {
  QD_GDIP_ENTER();
  if (!Finite(x, y, width, height, startAngle, sweepAngle)) return InvalidParameter;
  PathData p;
  p.AddArc(x, y, width, height, startAngle, sweepAngle);
  return Stroke(graphics, pen, p);
}

Status GdipDrawArcI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height, REAL startAngle,
                    REAL sweepAngle) {
  return GdipDrawArc(graphics, pen, REAL(x), REAL(y), REAL(width), REAL(height), startAngle, sweepAngle);
}

Status GdipDrawBezier(GpGraphics* graphics, GpPen* pen, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3,
                      REAL x4, REAL y4) {
  GpPointF pts[4] = {{x1, y1}, {x2, y2}, {x3, y3}, {x4, y4}};
  return GdipDrawBeziers(graphics, pen, pts, 4);
}

Status GdipDrawBezierI(GpGraphics* graphics, GpPen* pen, INT x1, INT y1, INT x2, INT y2, INT x3, INT y3,
                       INT x4, INT y4) {
  return GdipDrawBezier(graphics, pen, REAL(x1), REAL(y1), REAL(x2), REAL(y2), REAL(x3), REAL(y3), REAL(x4),
                        REAL(y4));
}

Status GdipDrawBeziers(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count) {
  QD_GDIP_ENTER();
  if (!points || count < 4 || (count - 1) % 3 != 0 || !FinitePoints(points, count)) return InvalidParameter;
  PathData p;
  p.AddBeziers(points, count);
  return Stroke(graphics, pen, p);
}

Status GdipDrawBeziersI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count) {
  if (!points || count <= 0) return InvalidParameter;
  auto v = ToF(points, count);
  return GdipDrawBeziers(graphics, pen, v.data(), count);
}

Status GdipDrawRectangle(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height) {
  QD_GDIP_ENTER();
  if (!Finite(x, y, width, height)) return InvalidParameter;
  return Stroke(graphics, pen, RectPath(x, y, width, height));
}

Status GdipDrawRectangleI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height) {
  return GdipDrawRectangle(graphics, pen, REAL(x), REAL(y), REAL(width), REAL(height));
}

Status GdipDrawRectangles(GpGraphics* graphics, GpPen* pen, const GpRectF* rects, INT count) {
  QD_GDIP_ENTER();
  if (!rects || count <= 0) return InvalidParameter;
  PathData p;
  for (INT i = 0; i < count; ++i) {
    if (!Finite(rects[i].X, rects[i].Y, rects[i].Width, rects[i].Height)) return InvalidParameter;
    PathData r = RectPath(rects[i].X, rects[i].Y, rects[i].Width, rects[i].Height);
    p.points.insert(p.points.end(), r.points.begin(), r.points.end());
    p.types.insert(p.types.end(), r.types.begin(), r.types.end());
  }
  return Stroke(graphics, pen, p);
}

Status GdipDrawRectanglesI(GpGraphics* graphics, GpPen* pen, const GpRect* rects, INT count) {
  if (!rects || count <= 0) return InvalidParameter;
  std::vector<GpRectF> v(static_cast<size_t>(count));
  for (INT i = 0; i < count; ++i)
    v[i] = {REAL(rects[i].X), REAL(rects[i].Y), REAL(rects[i].Width), REAL(rects[i].Height)};
  return GdipDrawRectangles(graphics, pen, v.data(), count);
}

Status GdipDrawEllipse(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height) {
  QD_GDIP_ENTER();
  if (!Finite(x, y, width, height)) return InvalidParameter;
  PathData p;
  p.AddEllipse(x, y, width, height);
  return Stroke(graphics, pen, p);
}

Status GdipDrawEllipseI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height) {
  return GdipDrawEllipse(graphics, pen, REAL(x), REAL(y), REAL(width), REAL(height));
}

Status GdipDrawPie(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                   REAL sweepAngle) {
  QD_GDIP_ENTER();
  if (!Finite(x, y, width, height, startAngle, sweepAngle)) return InvalidParameter;
  PathData p;
  p.AddPie(x, y, width, height, startAngle, sweepAngle);
  return Stroke(graphics, pen, p);
}

Status GdipDrawPieI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height, REAL startAngle,
                    REAL sweepAngle) {
  return GdipDrawPie(graphics, pen, REAL(x), REAL(y), REAL(width), REAL(height), startAngle, sweepAngle);
}

Status GdipDrawPolygon(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count) {
  QD_GDIP_ENTER();
  if (!points || count < 2 || !FinitePoints(points, count)) return InvalidParameter;
  PathData p;
  p.AddPolygon(points, count);
  return Stroke(graphics, pen, p);
}

Status GdipDrawPolygonI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count) {
  if (!points || count < 2) return InvalidParameter;
  auto v = ToF(points, count);
  return GdipDrawPolygon(graphics, pen, v.data(), count);
}

Status GdipDrawPath(GpGraphics* graphics, GpPen* pen, GpPath* path) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p) return InvalidParameter;
  return Stroke(graphics, pen, p->data);
}

Status GdipDrawCurve3(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count, INT offset,
                      INT numberOfSegments, REAL tension) {
  QD_GDIP_ENTER();
  if (!points || count < 2 || offset < 0 || numberOfSegments < 1 || offset + numberOfSegments >= count ||
      !Finite(tension) || !FinitePoints(points, count))
    return InvalidParameter;
  PathData p;
  p.AddCurve(points, count, offset, numberOfSegments, tension, false);
  return Stroke(graphics, pen, p);
}

Status GdipDrawCurve3I(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count, INT offset,
                       INT numberOfSegments, REAL tension) {
  if (!points || count <= 0) return InvalidParameter;
  auto v = ToF(points, count);
  return GdipDrawCurve3(graphics, pen, v.data(), count, offset, numberOfSegments, tension);
}

Status GdipDrawCurve2(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count, REAL tension) {
  return GdipDrawCurve3(graphics, pen, points, count, 0, count - 1, tension);
}

Status GdipDrawCurve2I(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count, REAL tension) {
  return GdipDrawCurve3I(graphics, pen, points, count, 0, count - 1, tension);
}

Status GdipDrawCurve(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count) {
  return GdipDrawCurve2(graphics, pen, points, count, 0.5f);
}

Status GdipDrawCurveI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count) {
  return GdipDrawCurve2I(graphics, pen, points, count, 0.5f);
}

Status GdipDrawClosedCurve2(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count,
                            REAL tension) {
  QD_GDIP_ENTER();
  if (!points || count < 3 || !Finite(tension) || !FinitePoints(points, count)) return InvalidParameter;
  PathData p;
  p.AddCurve(points, count, 0, count, tension, true);
  return Stroke(graphics, pen, p);
}

Status GdipDrawClosedCurve2I(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count,
                             REAL tension) {
  if (!points || count <= 0) return InvalidParameter;
  auto v = ToF(points, count);
  return GdipDrawClosedCurve2(graphics, pen, v.data(), count, tension);
}

Status GdipDrawClosedCurve(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count) {
  return GdipDrawClosedCurve2(graphics, pen, points, count, 0.5f);
}

Status GdipDrawClosedCurveI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count) {
  return GdipDrawClosedCurve2I(graphics, pen, points, count, 0.5f);
}

// ---- Fills -----------------------------------------------------------------------------------

Status GdipFillRectangle(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height) {
  QD_GDIP_ENTER();
  if (!Finite(x, y, width, height)) return InvalidParameter;
  return Fill(graphics, brush, RectPath(x, y, width, height));
}

Status GdipFillRectangleI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height) {
  return GdipFillRectangle(graphics, brush, REAL(x), REAL(y), REAL(width), REAL(height));
}

Status GdipFillRectangles(GpGraphics* graphics, GpBrush* brush, const GpRectF* rects, INT count) {
  QD_GDIP_ENTER();
  if (!rects || count <= 0) return InvalidParameter;
  PathData p;
  p.fillMode = FillModeWinding;
  for (INT i = 0; i < count; ++i) {
    if (!Finite(rects[i].X, rects[i].Y, rects[i].Width, rects[i].Height)) return InvalidParameter;
    // Each rectangle wound the same way, so overlaps stay filled.
    double l = std::min<double>(rects[i].X, double(rects[i].X) + rects[i].Width);
    double t = std::min<double>(rects[i].Y, double(rects[i].Y) + rects[i].Height);
    PathData r = RectPath(l, t, std::fabs(rects[i].Width), std::fabs(rects[i].Height));
    p.points.insert(p.points.end(), r.points.begin(), r.points.end());
    p.types.insert(p.types.end(), r.types.begin(), r.types.end());
  }
  return Fill(graphics, brush, p);
}

Status GdipFillRectanglesI(GpGraphics* graphics, GpBrush* brush, const GpRect* rects, INT count) {
  if (!rects || count <= 0) return InvalidParameter;
  std::vector<GpRectF> v(static_cast<size_t>(count));
  for (INT i = 0; i < count; ++i)
    v[i] = {REAL(rects[i].X), REAL(rects[i].Y), REAL(rects[i].Width), REAL(rects[i].Height)};
  return GdipFillRectangles(graphics, brush, v.data(), count);
}

Status GdipFillPolygon(GpGraphics* graphics, GpBrush* brush, const GpPointF* points, INT count,
                       GpFillMode fillMode) {
  QD_GDIP_ENTER();
  if (!points || count <= 0 || !FinitePoints(points, count) ||
      (fillMode != FillModeAlternate && fillMode != FillModeWinding))
    return InvalidParameter;
  PathData p;
  p.fillMode = fillMode;
  p.AddPolygon(points, count);
  return Fill(graphics, brush, p);
}

Status GdipFillPolygonI(GpGraphics* graphics, GpBrush* brush, const GpPoint* points, INT count,
                        GpFillMode fillMode) {
  if (!points || count <= 0) return InvalidParameter;
  auto v = ToF(points, count);
  return GdipFillPolygon(graphics, brush, v.data(), count, fillMode);
}

Status GdipFillPolygon2(GpGraphics* graphics, GpBrush* brush, const GpPointF* points, INT count) {
  return GdipFillPolygon(graphics, brush, points, count, FillModeAlternate);
}

Status GdipFillPolygon2I(GpGraphics* graphics, GpBrush* brush, const GpPoint* points, INT count) {
  return GdipFillPolygonI(graphics, brush, points, count, FillModeAlternate);
}

Status GdipFillEllipse(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height) {
  QD_GDIP_ENTER();
  if (!Finite(x, y, width, height)) return InvalidParameter;
  PathData p;
  p.AddEllipse(x, y, width, height);
  return Fill(graphics, brush, p);
}

Status GdipFillEllipseI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height) {
  return GdipFillEllipse(graphics, brush, REAL(x), REAL(y), REAL(width), REAL(height));
}

Status GdipFillPie(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height,
                   REAL startAngle, REAL sweepAngle) {
  QD_GDIP_ENTER();
  if (!Finite(x, y, width, height, startAngle, sweepAngle)) return InvalidParameter;
  PathData p;
  p.AddPie(x, y, width, height, startAngle, sweepAngle);
  return Fill(graphics, brush, p);
}

Status GdipFillPieI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height,
                    REAL startAngle, REAL sweepAngle) {
  return GdipFillPie(graphics, brush, REAL(x), REAL(y), REAL(width), REAL(height), startAngle, sweepAngle);
}

Status GdipFillPath(GpGraphics* graphics, GpBrush* brush, GpPath* path) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p) return InvalidParameter;
  return Fill(graphics, brush, p->data);
}

Status GdipFillClosedCurve2(GpGraphics* graphics, GpBrush* brush, const GpPointF* points, INT count,
                            REAL tension, GpFillMode fillMode) {
  QD_GDIP_ENTER();
  if (!points || count < 3 || !Finite(tension) || !FinitePoints(points, count) ||
      (fillMode != FillModeAlternate && fillMode != FillModeWinding))
    return InvalidParameter;
  PathData p;
  p.fillMode = fillMode;
  p.AddCurve(points, count, 0, count, tension, true);
  return Fill(graphics, brush, p);
}

Status GdipFillClosedCurve2I(GpGraphics* graphics, GpBrush* brush, const GpPoint* points, INT count,
                             REAL tension, GpFillMode fillMode) {
  if (!points || count <= 0) return InvalidParameter;
  auto v = ToF(points, count);
  return GdipFillClosedCurve2(graphics, brush, v.data(), count, tension, fillMode);
}

Status GdipFillClosedCurve(GpGraphics* graphics, GpBrush* brush, const GpPointF* points, INT count) {
  return GdipFillClosedCurve2(graphics, brush, points, count, 0.5f, FillModeAlternate);
}

Status GdipFillClosedCurveI(GpGraphics* graphics, GpBrush* brush, const GpPoint* points, INT count) {
  return GdipFillClosedCurve2I(graphics, brush, points, count, 0.5f, FillModeAlternate);
}

Status GdipFillRegion(GpGraphics* graphics, GpBrush* brush, GpRegion* region) {
  QD_GDIP_ENTER();
  auto* g = Get<Graphics>(graphics);
  auto* b = GetBrush(brush);
  auto* r = Get<Region>(region);
  if (!g || !b || !r) return InvalidParameter;
  return FillRegionWith(*g, r->root, *b);
}

// ---- Images ----------------------------------------------------------------------------------

Status GdipDrawImagePointsRect(GpGraphics* graphics, GpImage* image, const GpPointF* points, INT count,
                               REAL srcx, REAL srcy, REAL srcwidth, REAL srcheight, GpUnit srcUnit,
                               const GpImageAttributes* imageAttributes, DrawImageAbort callback,
                               void* callbackData) {
  QD_GDIP_ENTER();
  auto* g = Get<Graphics>(graphics);
  auto* b = GetBitmap(image);
  auto* attrs = imageAttributes ? Get<ImageAttributes>(imageAttributes) : nullptr;
  if (!g || !b || !points || (imageAttributes && !attrs) || !ValidSourceUnit(srcUnit) ||
      !Finite(srcx, srcy, srcwidth, srcheight))
    return InvalidParameter;
  if (count == 4) return NotImplemented;
  if (count != 3 || !FinitePoints(points, 3)) return InvalidParameter;
  if (callback && callback(callbackData)) return Aborted;
  if (auto* m = dynamic_cast<Metafile*>(b)) {
    // A whole picture drawn at another size is played again at the size it covers.
    Mx t = g->WorldToDevice();
    double ux = points[1].X - points[0].X, uy = points[1].Y - points[0].Y;
    double vx = points[2].X - points[0].X, vy = points[2].Y - points[0].Y;
    t.ApplyVector(ux, uy);
    t.ApplyVector(vx, vy);
    const double dw = std::hypot(ux, uy), dh = std::hypot(vx, vy);
    const bool whole = SourcePixels(srcUnit, srcx, b->dpiX) == 0 &&
                       SourcePixels(srcUnit, srcy, b->dpiY) == 0 &&
                       std::fabs(SourcePixels(srcUnit, srcwidth, b->dpiX) - b->width) < 1e-3 &&
                       std::fabs(SourcePixels(srcUnit, srcheight, b->dpiY) - b->height) < 1e-3;
    const auto w = static_cast<int32_t>(std::lround(std::min(dw, 16384.0)));
    const auto h = static_cast<int32_t>(std::lround(std::min(dh, 16384.0)));
    if (whole && w >= 1 && h >= 1 && (w != b->width || h != b->height)) {
      Bitmap sized;
      if (RenderMetafile(*m, w, h, sized) == Ok) return DrawImageWith(*g, sized, points, 0, 0, w, h, attrs);
    }
  }
  return DrawImageWith(*g, *b, points, SourcePixels(srcUnit, srcx, b->dpiX),
                       SourcePixels(srcUnit, srcy, b->dpiY), SourcePixels(srcUnit, srcwidth, b->dpiX),
                       SourcePixels(srcUnit, srcheight, b->dpiY), attrs);
}

Status GdipDrawImagePointsRectI(GpGraphics* graphics, GpImage* image, const GpPoint* points, INT count,
                                INT srcx, INT srcy, INT srcwidth, INT srcheight, GpUnit srcUnit,
                                const GpImageAttributes* imageAttributes, DrawImageAbort callback,
                                void* callbackData) {
  if (!points || count <= 0) return InvalidParameter;
  auto v = ToF(points, count);
  return GdipDrawImagePointsRect(graphics, image, v.data(), count, REAL(srcx), REAL(srcy), REAL(srcwidth),
                                 REAL(srcheight), srcUnit, imageAttributes, callback, callbackData);
}

Status GdipDrawImageRectRect(GpGraphics* graphics, GpImage* image, REAL dstx, REAL dsty, REAL dstwidth,
                             REAL dstheight, REAL srcx, REAL srcy, REAL srcwidth, REAL srcheight,
                             GpUnit srcUnit, const GpImageAttributes* imageAttributes,
                             DrawImageAbort callback, void* callbackData) {
  if (!Finite(dstx, dsty, dstwidth, dstheight)) return InvalidParameter;
  GpPointF pts[3] = {{dstx, dsty}, {dstx + dstwidth, dsty}, {dstx, dsty + dstheight}};
  return GdipDrawImagePointsRect(graphics, image, pts, 3, srcx, srcy, srcwidth, srcheight, srcUnit,
                                 imageAttributes, callback, callbackData);
}

Status GdipDrawImageRectRectI(GpGraphics* graphics, GpImage* image, INT dstx, INT dsty, INT dstwidth,
                              INT dstheight, INT srcx, INT srcy, INT srcwidth, INT srcheight, GpUnit srcUnit,
                              const GpImageAttributes* imageAttributes, DrawImageAbort callback,
                              void* callbackData) {
  return GdipDrawImageRectRect(graphics, image, REAL(dstx), REAL(dsty), REAL(dstwidth), REAL(dstheight),
                               REAL(srcx), REAL(srcy), REAL(srcwidth), REAL(srcheight), srcUnit,
                               imageAttributes, callback, callbackData);
}

Status GdipDrawImagePoints(GpGraphics* graphics, GpImage* image, const GpPointF* points, INT count) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(image);
  if (!b) return InvalidParameter;
  return GdipDrawImagePointsRect(graphics, image, points, count, 0, 0, REAL(b->width), REAL(b->height),
                                 UnitPixel, nullptr, nullptr, nullptr);
}

Status GdipDrawImagePointsI(GpGraphics* graphics, GpImage* image, const GpPoint* points, INT count) {
  if (!points || count <= 0) return InvalidParameter;
  auto v = ToF(points, count);
  return GdipDrawImagePoints(graphics, image, v.data(), count);
}

Status GdipDrawImageRect(GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL width, REAL height) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(image);
  if (!b) return InvalidParameter;
  return GdipDrawImageRectRect(graphics, image, x, y, width, height, 0, 0, REAL(b->width), REAL(b->height),
                               UnitPixel, nullptr, nullptr, nullptr);
}

Status GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width, INT height) {
  return GdipDrawImageRect(graphics, image, REAL(x), REAL(y), REAL(width), REAL(height));
}

Status GdipDrawImagePointRect(GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL srcx, REAL srcy,
                              REAL srcwidth, REAL srcheight, GpUnit srcUnit) {
  QD_GDIP_ENTER();
  auto* g = Get<Graphics>(graphics);
  auto* b = GetBitmap(image);
  if (!g || !b || !ValidSourceUnit(srcUnit) || !Finite(srcwidth, srcheight)) return InvalidParameter;
  // Drawn at its physical size: source pixels at the image's resolution, shown at the target's.
  double w = SourcePixels(srcUnit, srcwidth, b->dpiX) * g->dpiX / b->dpiX;
  double h = SourcePixels(srcUnit, srcheight, b->dpiY) * g->dpiY / b->dpiY;
  return GdipDrawImageRectRect(graphics, image, x, y, REAL(w), REAL(h), srcx, srcy, srcwidth, srcheight,
                               srcUnit, nullptr, nullptr, nullptr);
}

Status GdipDrawImagePointRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT srcx, INT srcy,
                               INT srcwidth, INT srcheight, GpUnit srcUnit) {
  return GdipDrawImagePointRect(graphics, image, REAL(x), REAL(y), REAL(srcx), REAL(srcy), REAL(srcwidth),
                                REAL(srcheight), srcUnit);
}

Status GdipDrawImage(GpGraphics* graphics, GpImage* image, REAL x, REAL y) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(image);
  if (!b) return InvalidParameter;
  return GdipDrawImagePointRect(graphics, image, x, y, 0, 0, REAL(b->width), REAL(b->height), UnitPixel);
}

Status GdipDrawImageI(GpGraphics* graphics, GpImage* image, INT x, INT y) {
  return GdipDrawImage(graphics, image, REAL(x), REAL(y));
}

}  // namespace qd::gdiplus
