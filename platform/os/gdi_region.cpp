// Regions over pixman, and the clip region of device contexts (kept in device coordinates).
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/os/gdi_internal.h"
#include "platform/os/gdi_metafile.h"
#include "platform/os/gdi_region.h"

namespace qd::gdi {

HRGN NewRegion(Rgn rgn) {
  auto r = std::make_unique<Region>();
  r->rgn = std::move(rgn);
  return static_cast<HRGN>(AddObject(std::move(r)));
}

Rgn ToDeviceRgn(const Transform& t, const Rgn& logical) {
  int n = 0;
  const pixman_box32_t* boxes = logical.Boxes(&n);
  if (t.IsTranslation() && t.dx == std::floor(t.dx) && t.dy == std::floor(t.dy)) {
    Rgn r = logical;
    r.Translate(static_cast<int>(t.dx), static_cast<int>(t.dy));
    return r;
  }
  Boxes out;
  if (t.IsAxisAligned()) {
    for (int i = 0; i < n; ++i) {
      RECT d = ToDeviceRect(t, {boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2});
      out.push_back({d.Left, d.Top, d.Right, d.Bottom});
    }
    return Rgn(out.data(), static_cast<int>(out.size()));
  }
  std::vector<std::vector<PointD>> polys;
  for (int i = 0; i < n; ++i) {
    auto map = [&](double x, double y) {
      return PointD{x * t.m11 + y * t.m21 + t.dx, x * t.m12 + y * t.m22 + t.dy};
    };
    const auto& b = boxes[i];
    polys.push_back({map(b.x1, b.y1), map(b.x2, b.y1), map(b.x2, b.y2), map(b.x1, b.y2)});
  }
  RasterPolygon(polys, true, out);
  return Rgn(out.data(), static_cast<int>(out.size()));
}

Rgn LogicalRectToDevice(const Dc& dc, const RECT& r) {
  RECT n = Normalized(r);
  Transform t = DeviceTransform(dc);
  if (t.IsAxisAligned()) {
    RECT d = ToDeviceRect(t, n);
    return Rgn(pixman_box32_t{d.Left, d.Top, d.Right, d.Bottom});
  }
  return ToDeviceRgn(t, Rgn(pixman_box32_t{n.Left, n.Top, n.Right, n.Bottom}));
}

namespace {

// The clip region a clip operation starts from when the DC has none: its whole surface.
Rgn CurrentClipOrSurface(const Dc& dc) {
  if (dc.s.clip) return *dc.s.clip;
  pixman_box32_t b = DeviceBounds(dc);
  if (b.x1 >= b.x2 || b.y1 >= b.y2) {
    SIZE s = ScreenSize();
    b = {0, 0, s.cx, s.cy};
  }
  return Rgn(b);
}

int ClipComplexity(const Dc& dc) {
  if (!dc.s.clip) return SIMPLEREGION;
  return dc.s.clip->Complexity();
}

Rgn Combine(const Rgn& a, const Rgn& b, int mode) {
  Rgn r;
  auto* A = const_cast<pixman_region32_t*>(a.get());
  auto* B = const_cast<pixman_region32_t*>(b.get());
  switch (mode) {
    case RGN_AND:
      pixman_region32_intersect(r.get(), A, B);
      break;
    case RGN_OR:
      pixman_region32_union(r.get(), A, B);
      break;
    case RGN_DIFF:
      pixman_region32_subtract(r.get(), A, B);
      break;
    case RGN_XOR: {
      Rgn ab, ba;
      pixman_region32_subtract(ab.get(), A, B);
      pixman_region32_subtract(ba.get(), B, A);
      pixman_region32_union(r.get(), ab.get(), ba.get());
      break;
    }
    default:
      r = a;
      break;
  }
  return r;
}

bool RgnEqual(const Rgn& a, const Rgn& b) {
  int na = 0, nb = 0;
  const pixman_box32_t* ba = a.Boxes(&na);
  const pixman_box32_t* bb = b.Boxes(&nb);
  if (na != nb) return false;
  for (int i = 0; i < na; ++i)
    if (ba[i].x1 != bb[i].x1 || ba[i].y1 != bb[i].y1 || ba[i].x2 != bb[i].x2 || ba[i].y2 != bb[i].y2)
      return false;
  return true;
}

}  // namespace

}  // namespace qd::gdi

namespace qd {
using namespace gdi;

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  RECT n = Normalized({ClampCoord(left), ClampCoord(top), ClampCoord(right), ClampCoord(bottom)});
  return NewRegion(Rgn(pixman_box32_t{n.Left, n.Top, n.Right, n.Bottom}));
}

HRGN CreateRectRgnIndirect(const RECT* r) {
  if (!r) return nullptr;
  return CreateRectRgn(r->Left, r->Top, r->Right, r->Bottom);
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int w, int h) {
  RECT n = Normalized({ClampCoord(left), ClampCoord(top), ClampCoord(right), ClampCoord(bottom)});
  if (n.Height() > kMaxRasterRows) return nullptr;  // far beyond any surface
  Boxes boxes;
  RasterRoundRect(n.Left, n.Top, n.Right, n.Bottom, ClampCoord(std::llabs(int64_t(w))),
                  ClampCoord(std::llabs(int64_t(h))), &boxes, nullptr);
  return NewRegion(Rgn(boxes.data(), static_cast<int>(boxes.size())));
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
  RECT n = Normalized({ClampCoord(left), ClampCoord(top), ClampCoord(right), ClampCoord(bottom)});
  if (n.Height() > kMaxRasterRows) return nullptr;
  Boxes boxes;
  RasterEllipse(n.Left, n.Top, n.Right, n.Bottom, &boxes, nullptr);
  return NewRegion(Rgn(boxes.data(), static_cast<int>(boxes.size())));
}

HRGN CreateEllipticRgnIndirect(const RECT* r) {
  if (!r) return nullptr;
  return CreateEllipticRgn(r->Left, r->Top, r->Right, r->Bottom);
}

HRGN CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polygons, int fillMode) {
  if (!points || !counts || polygons <= 0 || (fillMode != ALTERNATE && fillMode != WINDING)) return nullptr;
  std::vector<std::vector<PointD>> polys;
  size_t k = 0;
  for (int i = 0; i < polygons; ++i) {
    if (counts[i] < 0) return nullptr;
    std::vector<PointD> poly;
    for (int j = 0; j < counts[i]; ++j, ++k)
      poly.push_back(
          {static_cast<double>(ClampCoord(points[k].X)), static_cast<double>(ClampCoord(points[k].Y))});
    polys.push_back(std::move(poly));
  }
  Boxes boxes;
  RasterPolygon(polys, fillMode == WINDING, boxes);
  return NewRegion(Rgn(boxes.data(), static_cast<int>(boxes.size())));
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode) {
  if (count < 0) return nullptr;
  INT c = count;
  return CreatePolyPolygonRgn(points, &c, 1, fillMode);
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
  Region* d = Find<Region>(dest);
  Region* a = Find<Region>(src1);
  if (!d || !a || mode < RGN_AND || mode > RGN_COPY) return ERROR;
  if (mode == RGN_COPY) {
    d->rgn = a->rgn;
    return d->rgn.Complexity();
  }
  Region* b = Find<Region>(src2);
  if (!b) return ERROR;
  d->rgn = Combine(a->rgn, b->rgn, mode);
  return d->rgn.Complexity();
}

int OffsetRgn(HRGN region, int x, int y) {
  Region* r = Find<Region>(region);
  if (!r) return ERROR;
  pixman_box32_t e = r->rgn.Extents();
  if (!r->rgn.Empty()) {
    // Keep every coordinate inside the limits.
    int64_t dx = std::clamp<int64_t>(x, -kCoordLimit - int64_t(e.x1), kCoordLimit - int64_t(e.x2));
    int64_t dy = std::clamp<int64_t>(y, -kCoordLimit - int64_t(e.y1), kCoordLimit - int64_t(e.y2));
    r->rgn.Translate(static_cast<int>(dx), static_cast<int>(dy));
  }
  return r->rgn.Complexity();
}

BOOL EqualRgn(HRGN a, HRGN b) {
  Region* ra = Find<Region>(a);
  Region* rb = Find<Region>(b);
  if (!ra || !rb) return ERROR;
  return RgnEqual(ra->rgn, rb->rgn) ? TRUE : FALSE;
}

BOOL PtInRegion(HRGN region, int x, int y) {
  Region* r = Find<Region>(region);
  if (!r) return FALSE;
  return r->rgn.Contains(x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN region, const RECT* rect) {
  Region* r = Find<Region>(region);
  if (!r || !rect) return FALSE;
  RECT n = Normalized(*rect);
  if (n.IsEmpty()) return FALSE;
  pixman_box32_t b{n.Left, n.Top, n.Right, n.Bottom};
  return pixman_region32_contains_rectangle(r->rgn.get(), &b) != PIXMAN_REGION_OUT ? TRUE : FALSE;
}

int GetRgnBox(HRGN region, LPRECT rect) {
  Region* r = Find<Region>(region);
  if (!r || !rect) return ERROR;
  if (r->rgn.Empty()) {
    *rect = {0, 0, 0, 0};
    return NULLREGION;
  }
  pixman_box32_t e = r->rgn.Extents();
  *rect = {e.x1, e.y1, e.x2, e.y2};
  return r->rgn.Complexity();
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
  Region* r = Find<Region>(region);
  if (!r) return FALSE;
  RECT n = Normalized({ClampCoord(left), ClampCoord(top), ClampCoord(right), ClampCoord(bottom)});
  r->rgn = Rgn(pixman_box32_t{n.Left, n.Top, n.Right, n.Bottom});
  return TRUE;
}

DWORD GetRegionData(HRGN region, DWORD size, RGNDATA* data) {
  Region* r = Find<Region>(region);
  if (!r) return 0;
  int n = 0;
  const pixman_box32_t* boxes = r->rgn.Boxes(&n);
  DWORD need = static_cast<DWORD>(sizeof(RGNDATAHEADER) + sizeof(RECT) * static_cast<size_t>(n));
  if (!data) return need;
  if (size < need) return 0;
  RGNDATAHEADER h;
  h.dwSize = sizeof(RGNDATAHEADER);
  h.iType = RDH_RECTANGLES;
  h.nCount = static_cast<DWORD>(n);
  h.nRgnSize = static_cast<DWORD>(sizeof(RECT) * static_cast<size_t>(n));
  pixman_box32_t e = r->rgn.Extents();
  h.rcBound = n ? RECT{e.x1, e.y1, e.x2, e.y2} : RECT{0, 0, 0, 0};
  std::memcpy(static_cast<void*>(data), &h, sizeof h);
  auto* out = reinterpret_cast<char*>(data) + sizeof(RGNDATAHEADER);
  for (int i = 0; i < n; ++i) {
    RECT rc{boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2};
    std::memcpy(out + i * sizeof(RECT), &rc, sizeof rc);
  }
  return need;
}

HRGN ExtCreateRegion(const XFORM* xform, DWORD size, const RGNDATA* data) {
  if (!data || size < sizeof(RGNDATAHEADER)) return nullptr;
  RGNDATAHEADER h;
  std::memcpy(&h, static_cast<const void*>(data), sizeof h);
  if (h.dwSize < sizeof(RGNDATAHEADER) || h.iType != RDH_RECTANGLES) return nullptr;
  uint64_t need = uint64_t(h.dwSize) + uint64_t(h.nCount) * sizeof(RECT);
  if (need > size) return nullptr;
  const auto* rects = reinterpret_cast<const char*>(data) + h.dwSize;
  Boxes boxes;
  boxes.reserve(h.nCount);
  for (DWORD i = 0; i < h.nCount; ++i) {
    RECT rc;
    std::memcpy(&rc, rects + i * sizeof(RECT), sizeof rc);
    rc = Normalized({ClampCoord(rc.Left), ClampCoord(rc.Top), ClampCoord(rc.Right), ClampCoord(rc.Bottom)});
    if (!rc.IsEmpty()) boxes.push_back({rc.Left, rc.Top, rc.Right, rc.Bottom});
  }
  Rgn rgn(boxes.data(), static_cast<int>(boxes.size()));
  if (xform) {
    Transform t{xform->eM11, xform->eM12, xform->eM21, xform->eM22, xform->eDx, xform->eDy};
    if (t.m11 * t.m22 - t.m12 * t.m21 == 0) return nullptr;
    if (t.IsAxisAligned()) {
      // Scale and translation map rectangles to rectangles (corners rounded).
      int n = 0;
      const pixman_box32_t* b = rgn.Boxes(&n);
      Boxes out;
      auto rnd = [](double v) { return RoundCoord(v); };
      for (int i = 0; i < n; ++i) {
        int32_t x1 = rnd(b[i].x1 * t.m11 + t.dx), x2 = rnd(b[i].x2 * t.m11 + t.dx);
        int32_t y1 = rnd(b[i].y1 * t.m22 + t.dy), y2 = rnd(b[i].y2 * t.m22 + t.dy);
        out.push_back({std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)});
      }
      rgn = Rgn(out.data(), static_cast<int>(out.size()));
    } else {
      rgn = ToDeviceRgn(t, rgn);
    }
  }
  return NewRegion(std::move(rgn));
}

namespace {

BOOL PaintRegion(HDC h, HRGN region, const Brush* brush, uint8_t rop, bool useBrush) {
  Dc* dc = FindDc(h);
  Region* r = Find<Region>(region);
  if (!dc || !r) return FALSE;
  Dest d;
  if (!PrepareDest(*dc, d)) return TRUE;
  Pattern p;
  if (useBrush && !MakePattern(d, brush, p)) return TRUE;
  FillRgn(d, ToDeviceRgn(DeviceTransform(*dc), r->rgn), useBrush ? &p : nullptr, rop);
  return TRUE;
}

}  // namespace

BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush) {
  Brush* b = Find<Brush>(brush);
  if (!b) return FALSE;
  return PaintRegion(dc, region, b, 0xF0, true);
}

BOOL PaintRgn(HDC h, HRGN region) {
  Dc* dc = FindDc(h);
  if (!dc) return FALSE;
  return PaintRegion(h, region, CurrentBrush(*dc), Rop2ToRop3(dc->s.rop2), true);
}

BOOL InvertRgn(HDC dc, HRGN region) {
  return PaintRegion(dc, region, nullptr, 0x55, false);
}

BOOL FrameRgn(HDC h, HRGN region, HBRUSH brush, int width, int height) {
  Dc* dc = FindDc(h);
  Region* r = Find<Region>(region);
  Brush* b = Find<Brush>(brush);
  if (!dc || !r || !b || width < 0 || height < 0) return FALSE;
  // The frame is the part of the region that a width x height step from its inside leaves.
  Rgn inner = r->rgn;
  for (auto [dx, dy] :
       {std::pair{width, 0}, std::pair{-width, 0}, std::pair{0, height}, std::pair{0, -height}}) {
    Rgn moved = r->rgn;
    moved.Translate(dx, dy);
    inner.Intersect(moved);
  }
  Rgn frame = r->rgn;
  frame.Subtract(inner);
  Dest d;
  if (!PrepareDest(*dc, d)) return TRUE;
  Pattern p;
  if (!MakePattern(d, b, p)) return TRUE;
  FillRgn(d, ToDeviceRgn(DeviceTransform(*dc), frame), &p, 0xF0);
  return TRUE;
}

// ---- Clipping --------------------------------------------------------------------------------

int SelectClipRgn(HDC h, HRGN region) {
  return ExtSelectClipRgn(h, region, RGN_COPY);
}

int ExtSelectClipRgn(HDC h, HRGN region, int mode) {
  Dc* dc = FindDc(h);
  if (!dc || mode < RGN_AND || mode > RGN_COPY) return ERROR;
  Region* r = region ? Find<Region>(region) : nullptr;
  if (region && !r) return ERROR;
  if (dc->meta && (r || mode == RGN_COPY)) MetaRecordClip(*dc, region, mode);
  if (!r) {
    if (mode != RGN_COPY) return ERROR;
    dc->s.clip.reset();
    return SIMPLEREGION;
  }
  if (mode == RGN_COPY)
    dc->s.clip = r->rgn;
  else
    dc->s.clip = Combine(CurrentClipOrSurface(*dc), r->rgn, mode);
  return ClipComplexity(*dc);
}

int IntersectClipRect(HDC h, int left, int top, int right, int bottom) {
  Dc* dc = FindDc(h);
  if (!dc) return ERROR;
  if (dc->meta) MetaRecord(*dc, EMR_INTERSECTCLIPRECT, {left, top, right, bottom});
  Rgn clip = CurrentClipOrSurface(*dc);
  clip.Intersect(LogicalRectToDevice(*dc, {left, top, right, bottom}));
  dc->s.clip = std::move(clip);
  return ClipComplexity(*dc);
}

int ExcludeClipRect(HDC h, int left, int top, int right, int bottom) {
  Dc* dc = FindDc(h);
  if (!dc) return ERROR;
  if (dc->meta) MetaRecord(*dc, EMR_EXCLUDECLIPRECT, {left, top, right, bottom});
  Rgn clip = CurrentClipOrSurface(*dc);
  clip.Subtract(LogicalRectToDevice(*dc, {left, top, right, bottom}));
  dc->s.clip = std::move(clip);
  return ClipComplexity(*dc);
}

int OffsetClipRgn(HDC h, int x, int y) {
  Dc* dc = FindDc(h);
  if (!dc) return ERROR;
  if (dc->meta) MetaRecord(*dc, EMR_OFFSETCLIPRGN, {x, y});
  if (!dc->s.clip) return SIMPLEREGION;
  Transform t = DeviceTransform(*dc);
  pixman_box32_t e = dc->s.clip->Extents();
  auto dx = std::clamp<int64_t>(RoundCoord(x * t.m11 + y * t.m21), -kCoordLimit - int64_t(e.x1),
                                kCoordLimit - int64_t(e.x2));
  auto dy = std::clamp<int64_t>(RoundCoord(x * t.m12 + y * t.m22), -kCoordLimit - int64_t(e.y1),
                                kCoordLimit - int64_t(e.y2));
  if (!dc->s.clip->Empty()) dc->s.clip->Translate(static_cast<int>(dx), static_cast<int>(dy));
  return ClipComplexity(*dc);
}

int GetClipBox(HDC h, LPRECT rect) {
  Dc* dc = FindDc(h);
  if (!dc || !rect) return ERROR;
  Rgn vis = VisibleClip(*dc);
  if (vis.Empty()) {
    *rect = {0, 0, 0, 0};
    return NULLREGION;
  }
  pixman_box32_t e = vis.Extents();
  *rect = ToLogicalRect(DeviceTransform(*dc), {e.x1, e.y1, e.x2, e.y2});
  return vis.Complexity();
}

int GetClipRgn(HDC h, HRGN region) {
  Dc* dc = FindDc(h);
  Region* r = Find<Region>(region);
  if (!dc || !r) return -1;
  if (!dc->s.clip) return 0;
  r->rgn = *dc->s.clip;
  return 1;
}

int GetRandomRgn(HDC h, HRGN region, INT which) {
  Dc* dc = FindDc(h);
  Region* r = Find<Region>(region);
  if (!dc || !r) return -1;
  switch (which) {
    case 1:  // CLIPRGN
    case 3:  // APIRGN
      return GetClipRgn(h, region);
    case 2:  // METARGN
      return 0;
    case SYSRGN: {
      // The system region in the coordinates of the surface (the top-level window).
      Rgn sys(DeviceBounds(*dc));
      if (dc->vis) sys.Intersect(*dc->vis);
      sys.Translate(dc->offset.X, dc->offset.Y);
      r->rgn = std::move(sys);
      return 1;
    }
    default:
      return -1;
  }
}

BOOL PtVisible(HDC h, int x, int y) {
  Dc* dc = FindDc(h);
  if (!dc) return -1;
  POINT p = ToDevice(DeviceTransform(*dc), x, y);
  Rgn vis = VisibleClip(*dc);
  return vis.Contains(p) ? TRUE : FALSE;
}

BOOL RectVisible(HDC h, const RECT* rect) {
  Dc* dc = FindDc(h);
  if (!dc || !rect) return FALSE;
  Rgn r = LogicalRectToDevice(*dc, *rect);
  r.Intersect(VisibleClip(*dc));
  return r.Empty() ? FALSE : TRUE;
}

}  // namespace qd
