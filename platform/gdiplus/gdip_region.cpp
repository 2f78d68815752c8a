// Regions: trees of rectangles and paths combined by the six combine modes, rasterised to
// whole pixels where pixels are needed.
#include <algorithm>

#include "platform/gdiplus/gdip_internal.h"
#include "platform/os/gdi_surface.h"

namespace qd::gdiplus {

using namespace detail;

namespace detail {

namespace {

constexpr double kInfiniteOrigin = -4194304.0;
constexpr double kInfiniteSize = 8388608.0;

// Deeper combinations are replaced by their pixels, so that no walk over a region nests deeply.
constexpr uint32_t kMaxDepth = 128;

RegionPtr Node(RegionNode n) {
  if (n.type == RegionNode::Combine) n.depth = std::max(n.left->depth, n.right->depth) + 1;
  return std::make_shared<const RegionNode>(std::move(n));
}

bool IsType(const RegionPtr& r, RegionNode::Type t) {
  return r && r->type == t;
}

PixRgn Window(const pixman_box32_t& w) {
  return PixRgn(w.x1, w.y1, w.x2, w.y2);
}

}  // namespace

RegionPtr MakeRegion(RegionNode::Type type) {
  RegionNode n;
  n.type = type;
  return Node(std::move(n));
}

RegionPtr MakeRectRegion(double x, double y, double w, double h) {
  if (!(w > 0) || !(h > 0)) return MakeRegion(RegionNode::Empty);
  RegionNode n;
  n.type = RegionNode::Rect;
  n.rect = {REAL(x), REAL(y), REAL(w), REAL(h)};
  return Node(std::move(n));
}

RegionPtr MakePathRegion(const PathData& path) {
  RegionNode n;
  n.type = RegionNode::Path;
  n.path = std::make_shared<PathData>(path);
  return Node(std::move(n));
}

RegionPtr CombineRegions(const RegionPtr& a, const RegionPtr& b, CombineMode op) {
  using T = RegionNode;
  switch (op) {
    case CombineModeReplace:
      return b;
    case CombineModeIntersect:
      if (IsType(a, T::Empty) || IsType(b, T::Infinite)) return a;
      if (IsType(b, T::Empty) || IsType(a, T::Infinite)) return b;
      if (IsType(a, T::Rect) && IsType(b, T::Rect)) {
        // Nested clip rectangles stay one rectangle.
        double l = std::max<double>(a->rect.X, b->rect.X), t = std::max<double>(a->rect.Y, b->rect.Y);
        double r = std::min(double(a->rect.X) + a->rect.Width, double(b->rect.X) + b->rect.Width);
        double bt = std::min(double(a->rect.Y) + a->rect.Height, double(b->rect.Y) + b->rect.Height);
        return MakeRectRegion(l, t, r - l, bt - t);
      }
      break;
    case CombineModeUnion:
      if (IsType(a, T::Empty) || IsType(b, T::Infinite)) return b;
      if (IsType(b, T::Empty) || IsType(a, T::Infinite)) return a;
      break;
    case CombineModeXor:
      if (IsType(a, T::Empty)) return b;
      if (IsType(b, T::Empty)) return a;
      break;
    case CombineModeExclude:
      if (IsType(a, T::Empty) || IsType(b, T::Empty)) return a;
      if (IsType(b, T::Infinite)) return MakeRegion(T::Empty);
      break;
    case CombineModeComplement:
      if (IsType(a, T::Empty) || IsType(b, T::Empty)) return b;
      if (IsType(a, T::Infinite)) return MakeRegion(T::Empty);
      break;
  }
  RegionNode n;
  n.type = T::Combine;
  n.op = op;
  n.left = a;
  n.right = b;
  RegionPtr combined = Node(std::move(n));
  if (combined->depth <= kMaxDepth) return combined;
  PixRgn px = RasterRegion(combined, Mx{});
  int count = 0;
  const pixman_box32_t* boxes = px.Boxes(&count);
  if (count == 0) return MakeRegion(T::Empty);
  PathData p;
  p.fillMode = FillModeWinding;
  for (int i = 0; i < count; ++i)
    p.AddRectangle(boxes[i].x1, boxes[i].y1, boxes[i].x2 - boxes[i].x1, boxes[i].y2 - boxes[i].y1);
  return MakePathRegion(p);
}

RegionPtr TransformRegion(const RegionPtr& r, const Mx& m) {
  switch (r->type) {
    case RegionNode::Empty:
    case RegionNode::Infinite:
      return r;
    case RegionNode::Rect: {
      const GpRectF& q = r->rect;
      if (m.IsAxisAligned()) {
        double x1 = q.X, y1 = q.Y, x2 = double(q.X) + q.Width, y2 = double(q.Y) + q.Height;
        m.Apply(x1, y1);
        m.Apply(x2, y2);
        return MakeRectRegion(std::min(x1, x2), std::min(y1, y2), std::fabs(x2 - x1), std::fabs(y2 - y1));
      }
      PathData p;
      p.AddRectangle(q.X, q.Y, q.Width, q.Height);
      p.Transform(m);
      return MakePathRegion(p);
    }
    case RegionNode::Path: {
      PathData p = *r->path;
      p.Transform(m);
      return MakePathRegion(p);
    }
    case RegionNode::Combine:
      break;
  }
  RegionNode n;
  n.type = RegionNode::Combine;
  n.op = r->op;
  n.left = TransformRegion(r->left, m);
  n.right = TransformRegion(r->right, m);
  return Node(std::move(n));
}

PixRgn RasterRegion(const RegionPtr& r, const Mx& m, const pixman_box32_t& window) {
  switch (r->type) {
    case RegionNode::Empty:
      return {};
    case RegionNode::Infinite:
      return Window(window);
    case RegionNode::Rect: {
      const GpRectF& q = r->rect;
      double x[4] = {q.X, double(q.X) + q.Width, double(q.X) + q.Width, q.X};
      double y[4] = {q.Y, q.Y, double(q.Y) + q.Height, double(q.Y) + q.Height};
      for (int i = 0; i < 4; ++i) m.Apply(x[i], y[i]);
      if (m.IsAxisAligned())
        return RasterRect(std::min(x[0], x[2]), std::min(y[0], y[2]), std::max(x[0], x[2]),
                          std::max(y[0], y[2]));
      return RasterPolygons({{x[0], y[0], x[1], y[1], x[2], y[2], x[3], y[3]}}, false);
    }
    case RegionNode::Path: {
      std::vector<std::vector<double>> xy;
      std::vector<bool> closed;
      Flatten(*r->path, m, 0.25, xy, closed);
      return RasterPolygons(xy, r->path->fillMode == FillModeWinding, window);
    }
    case RegionNode::Combine:
      break;
  }
  PixRgn a = RasterRegion(r->left, m, window);
  PixRgn b = RasterRegion(r->right, m, window);
  switch (r->op) {
    case CombineModeReplace:
      return b;
    case CombineModeIntersect:
      a.Intersect(b);
      return a;
    case CombineModeUnion:
      a.Union(b);
      return a;
    case CombineModeXor: {
      PixRgn both = a;
      both.Intersect(b);
      a.Union(b);
      a.Subtract(both);
      return a;
    }
    case CombineModeExclude:
      a.Subtract(b);
      return a;
    case CombineModeComplement:
      b.Subtract(a);
      return b;
  }
  return a;
}

bool RegionContains(const RegionPtr& r, double x, double y) {
  switch (r->type) {
    case RegionNode::Empty:
      return false;
    case RegionNode::Infinite:
      return true;
    case RegionNode::Rect:
      return x >= r->rect.X && x < double(r->rect.X) + r->rect.Width && y >= r->rect.Y &&
             y < double(r->rect.Y) + r->rect.Height;
    case RegionNode::Path:
      return PointInPath(*r->path, x, y);
    case RegionNode::Combine:
      break;
  }
  bool a = RegionContains(r->left, x, y), b = RegionContains(r->right, x, y);
  switch (r->op) {
    case CombineModeReplace:
      return b;
    case CombineModeIntersect:
      return a && b;
    case CombineModeUnion:
      return a || b;
    case CombineModeXor:
      return a != b;
    case CombineModeExclude:
      return a && !b;
    case CombineModeComplement:
      return b && !a;
  }
  return false;
}

bool RegionIsInfinite(const RegionPtr& r) {
  return IsType(r, RegionNode::Infinite);
}

GpRectF RegionBounds(const RegionPtr& r) {
  switch (r->type) {
    case RegionNode::Empty:
      return {};
    case RegionNode::Infinite:
      return {REAL(kInfiniteOrigin), REAL(kInfiniteOrigin), REAL(kInfiniteSize), REAL(kInfiniteSize)};
    case RegionNode::Rect:
      return r->rect;
    case RegionNode::Path: {
      double l, t, rr, b;
      if (!PathBounds(*r->path, Mx{}, l, t, rr, b)) return {};
      return {REAL(l), REAL(t), REAL(rr - l), REAL(b - t)};
    }
    case RegionNode::Combine:
      break;
  }
  PixRgn px = RasterRegion(r, Mx{});
  if (px.Empty()) return {};
  pixman_box32_t e = px.Extents();
  if (e.x1 <= -kPixLimit || e.y1 <= -kPixLimit || e.x2 >= kPixLimit || e.y2 >= kPixLimit)
    return {REAL(kInfiniteOrigin), REAL(kInfiniteOrigin), REAL(kInfiniteSize), REAL(kInfiniteSize)};
  return {REAL(e.x1), REAL(e.y1), REAL(e.x2 - e.x1), REAL(e.y2 - e.y1)};
}

}  // namespace detail

// ---- Flat API --------------------------------------------------------------------------------

namespace {

Status NewRegion(RegionPtr root, GpRegion** out) {
  auto r = std::make_unique<Region>();
  r->root = std::move(root);
  *out = Adopt(std::move(r));
  return Ok;
}

bool ValidRect(const GpRectF* r) {
  return r && Finite(r->X, r->Y, r->Width, r->Height);
}

// The graphics' world-to-device transform, or identity without graphics.
bool TransformOf(GpGraphics* graphics, Mx& m) {
  m = Mx{};
  if (!graphics) return true;
  auto* g = Get<Graphics>(graphics);
  if (!g) return false;
  m = g->WorldToDevice();
  return true;
}

}  // namespace

Status GdipCreateRegion(GpRegion** region) {
  QD_GDIP_ENTER();
  if (!region) return InvalidParameter;
  return NewRegion(MakeRegion(RegionNode::Infinite), region);
}

Status GdipCreateRegionRect(const GpRectF* rect, GpRegion** region) {
  QD_GDIP_ENTER();
  if (!region || !ValidRect(rect)) return InvalidParameter;
  return NewRegion(MakeRectRegion(rect->X, rect->Y, rect->Width, rect->Height), region);
}

Status GdipCreateRegionRectI(const GpRect* rect, GpRegion** region) {
  if (!rect) return InvalidParameter;
  GpRectF r{REAL(rect->X), REAL(rect->Y), REAL(rect->Width), REAL(rect->Height)};
  return GdipCreateRegionRect(&r, region);
}

Status GdipCreateRegionPath(GpPath* path, GpRegion** region) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  if (!p || !region) return InvalidParameter;
  return NewRegion(MakePathRegion(p->data), region);
}

Status GdipCreateRegionHrgn(HRGN hRgn, GpRegion** region) {
  QD_GDIP_ENTER();
  const pixman_region32* data = hRgn ? gdi::RegionData(hRgn) : nullptr;
  if (!data || !region) return InvalidParameter;
  int n = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(const_cast<pixman_region32*>(data), &n);
  if (n == 0) return NewRegion(MakeRegion(RegionNode::Empty), region);
  if (n == 1)
    return NewRegion(
        MakeRectRegion(boxes[0].x1, boxes[0].y1, boxes[0].x2 - boxes[0].x1, boxes[0].y2 - boxes[0].y1),
        region);
  PathData p;
  for (int i = 0; i < n; ++i)
    p.AddRectangle(boxes[i].x1, boxes[i].y1, boxes[i].x2 - boxes[i].x1, boxes[i].y2 - boxes[i].y1);
  p.fillMode = FillModeWinding;
  return NewRegion(MakePathRegion(p), region);
}

Status GdipCloneRegion(GpRegion* region, GpRegion** cloneRegion) {
  QD_GDIP_ENTER();
  auto* r = Get<Region>(region);
  if (!r || !cloneRegion) return InvalidParameter;
  return NewRegion(r->root, cloneRegion);
}

Status GdipDeleteRegion(GpRegion* region) {
  QD_GDIP_LOCK();
  if (!Get<Region>(region)) return InvalidParameter;
  Destroy(region);
  return Ok;
}

Status GdipSetInfinite(GpRegion* region) {
  QD_GDIP_ENTER();
  auto* r = Get<Region>(region);
  if (!r) return InvalidParameter;
  r->root = MakeRegion(RegionNode::Infinite);
  return Ok;
}

Status GdipSetEmpty(GpRegion* region) {
  QD_GDIP_ENTER();
  auto* r = Get<Region>(region);
  if (!r) return InvalidParameter;
  r->root = MakeRegion(RegionNode::Empty);
  return Ok;
}

Status GdipCombineRegionRect(GpRegion* region, const GpRectF* rect, CombineMode combineMode) {
  QD_GDIP_ENTER();
  auto* r = Get<Region>(region);
  if (!r || !ValidRect(rect) || !ValidMode(combineMode)) return InvalidParameter;
  r->root = CombineRegions(r->root, MakeRectRegion(rect->X, rect->Y, rect->Width, rect->Height), combineMode);
  return Ok;
}

Status GdipCombineRegionRectI(GpRegion* region, const GpRect* rect, CombineMode combineMode) {
  if (!rect) return InvalidParameter;
  GpRectF r{REAL(rect->X), REAL(rect->Y), REAL(rect->Width), REAL(rect->Height)};
  return GdipCombineRegionRect(region, &r, combineMode);
}

Status GdipCombineRegionPath(GpRegion* region, GpPath* path, CombineMode combineMode) {
  QD_GDIP_ENTER();
  auto* r = Get<Region>(region);
  auto* p = Get<Path>(path);
  if (!r || !p || !ValidMode(combineMode)) return InvalidParameter;
  r->root = CombineRegions(r->root, MakePathRegion(p->data), combineMode);
  return Ok;
}

Status GdipCombineRegionRegion(GpRegion* region, GpRegion* region2, CombineMode combineMode) {
  QD_GDIP_ENTER();
  auto* r = Get<Region>(region);
  auto* r2 = Get<Region>(region2);
  if (!r || !r2 || !ValidMode(combineMode)) return InvalidParameter;
  r->root = CombineRegions(r->root, r2->root, combineMode);
  return Ok;
}

Status GdipTranslateRegion(GpRegion* region, REAL dx, REAL dy) {
  QD_GDIP_ENTER();
  auto* r = Get<Region>(region);
  if (!r || !Finite(dx, dy)) return InvalidParameter;
  r->root = TransformRegion(r->root, Mx::Translation(dx, dy));
  return Ok;
}

Status GdipTranslateRegionI(GpRegion* region, INT dx, INT dy) {
  return GdipTranslateRegion(region, REAL(dx), REAL(dy));
}

Status GdipTransformRegion(GpRegion* region, GpMatrix* matrix) {
  QD_GDIP_ENTER();
  auto* r = Get<Region>(region);
  auto* m = Get<Matrix>(matrix);
  if (!r || !m) return InvalidParameter;
  r->root = TransformRegion(r->root, m->m);
  return Ok;
}

Status GdipGetRegionBounds(GpRegion* region, GpGraphics* graphics, GpRectF* rect) {
  QD_GDIP_ENTER();
  auto* r = Get<Region>(region);
  if (!r || !rect || !Get<Graphics>(graphics)) return InvalidParameter;
  *rect = RegionBounds(r->root);
  return Ok;
}

Status GdipGetRegionBoundsI(GpRegion* region, GpGraphics* graphics, GpRect* rect) {
  if (!rect) return InvalidParameter;
  GpRectF f;
  Status s = GdipGetRegionBounds(region, graphics, &f);
  if (s != Ok) return s;
  double l = std::floor(f.X), t = std::floor(f.Y);
  double r = std::ceil(double(f.X) + f.Width), b = std::ceil(double(f.Y) + f.Height);
  *rect = {static_cast<INT>(l), static_cast<INT>(t), static_cast<INT>(r - l), static_cast<INT>(b - t)};
  return Ok;
}

Status GdipGetRegionHRgn(GpRegion* region, GpGraphics* graphics, HRGN* hRgn) {
  QD_GDIP_ENTER();
  auto* r = Get<Region>(region);
  Mx m;
  if (!r || !hRgn || !TransformOf(graphics, m)) return InvalidParameter;
  if (RegionIsInfinite(r->root)) {
    *hRgn = nullptr;
    return Ok;
  }
  PixRgn px = RasterRegion(r->root, m);
  *hRgn = gdi::CreateRegionFromPixman(px.get());
  return *hRgn ? Ok : OutOfMemory;
}

Status GdipIsEmptyRegion(GpRegion* region, GpGraphics* graphics, BOOL* result) {
  QD_GDIP_ENTER();
  auto* r = Get<Region>(region);
  Mx m;
  if (!r || !result || !graphics || !TransformOf(graphics, m)) return InvalidParameter;
  *result = RasterRegion(r->root, m).Empty() ? TRUE : FALSE;
  return Ok;
}

Status GdipIsInfiniteRegion(GpRegion* region, GpGraphics* graphics, BOOL* result) {
  QD_GDIP_ENTER();
  auto* r = Get<Region>(region);
  Mx m;
  if (!r || !result || !graphics || !TransformOf(graphics, m)) return InvalidParameter;
  *result = RegionIsInfinite(r->root) ? TRUE : FALSE;
  return Ok;
}

Status GdipIsEqualRegion(GpRegion* region, GpRegion* region2, GpGraphics* graphics, BOOL* result) {
  QD_GDIP_ENTER();
  auto* a = Get<Region>(region);
  auto* b = Get<Region>(region2);
  Mx m;
  if (!a || !b || !result || !graphics || !TransformOf(graphics, m)) return InvalidParameter;
  PixRgn x = RasterRegion(a->root, m), y = RasterRegion(b->root, m);
  *result = x == y ? TRUE : FALSE;
  return Ok;
}

Status GdipIsVisibleRegionPoint(GpRegion* region, REAL x, REAL y, GpGraphics* graphics, BOOL* result) {
  QD_GDIP_ENTER();
  auto* r = Get<Region>(region);
  Mx m;
  if (!r || !result || !TransformOf(graphics, m)) return InvalidParameter;
  *result = Finite(x, y) && RegionContains(r->root, x, y) ? TRUE : FALSE;
  return Ok;
}

Status GdipIsVisibleRegionPointI(GpRegion* region, INT x, INT y, GpGraphics* graphics, BOOL* result) {
  return GdipIsVisibleRegionPoint(region, REAL(x), REAL(y), graphics, result);
}

Status GdipIsVisibleRegionRect(GpRegion* region, REAL x, REAL y, REAL width, REAL height,
                               GpGraphics* graphics, BOOL* result) {
  QD_GDIP_ENTER();
  auto* r = Get<Region>(region);
  Mx m;
  if (!r || !result || !TransformOf(graphics, m) || !Finite(x, y, width, height)) return InvalidParameter;
  PixRgn a = RasterRegion(r->root, Mx{});
  PixRgn b = RasterRect(x, y, double(x) + width, double(y) + height);
  a.Intersect(b);
  *result = a.Empty() ? FALSE : TRUE;
  return Ok;
}

Status GdipIsVisibleRegionRectI(GpRegion* region, INT x, INT y, INT width, INT height, GpGraphics* graphics,
                                BOOL* result) {
  return GdipIsVisibleRegionRect(region, REAL(x), REAL(y), REAL(width), REAL(height), graphics, result);
}

Status GdipGetRegionScansCount(GpRegion* region, UINT* count, GpMatrix* matrix) {
  QD_GDIP_ENTER();
  auto* r = Get<Region>(region);
  auto* m = Get<Matrix>(matrix);
  if (!r || !count || !m) return InvalidParameter;
  int n = 0;
  RasterRegion(r->root, m->m).Boxes(&n);
  *count = static_cast<UINT>(n);
  return Ok;
}

Status GdipGetRegionScans(GpRegion* region, GpRectF* rects, INT* count, GpMatrix* matrix) {
  QD_GDIP_ENTER();
  auto* r = Get<Region>(region);
  auto* m = Get<Matrix>(matrix);
  if (!r || !count || !m) return InvalidParameter;
  PixRgn px = RasterRegion(r->root, m->m);
  int n = 0;
  const pixman_box32_t* b = px.Boxes(&n);
  if (rects)
    for (int i = 0; i < n; ++i)
      rects[i] = {REAL(b[i].x1), REAL(b[i].y1), REAL(b[i].x2 - b[i].x1), REAL(b[i].y2 - b[i].y1)};
  *count = n;
  return Ok;
}

Status GdipGetRegionScansI(GpRegion* region, GpRect* rects, INT* count, GpMatrix* matrix) {
  QD_GDIP_ENTER();
  auto* r = Get<Region>(region);
  auto* m = Get<Matrix>(matrix);
  if (!r || !count || !m) return InvalidParameter;
  PixRgn px = RasterRegion(r->root, m->m);
  int n = 0;
  const pixman_box32_t* b = px.Boxes(&n);
  if (rects)
    for (int i = 0; i < n; ++i) rects[i] = {b[i].x1, b[i].y1, b[i].x2 - b[i].x1, b[i].y2 - b[i].y1};
  *count = n;
  return Ok;
}

}  // namespace qd::gdiplus
