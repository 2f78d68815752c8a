// Pens.
#include <algorithm>

#include "platform/gdiplus/gdip_internal.h"

namespace qd::gdiplus {

using namespace detail;

namespace detail {

std::unique_ptr<Pen> Pen::Clone() const {
  auto p = std::make_unique<Pen>();
  p->width = width;
  p->unit = unit;
  p->brush = brush->Clone();
  p->startCap = startCap;
  p->endCap = endCap;
  p->dashCap = dashCap;
  p->join = join;
  p->miterLimit = miterLimit;
  p->alignment = alignment;
  p->transform = transform;
  p->dashStyle = dashStyle;
  p->dashes = dashes;
  p->dashOffset = dashOffset;
  p->customStart = customStart;
  p->customEnd = customEnd;
  return p;
}

std::vector<double> Pen::Pattern() const {
  switch (dashStyle) {
    case DashStyleDash:
      return {3, 1};
    case DashStyleDot:
      return {1, 1};
    case DashStyleDashDot:
      return {3, 1, 1, 1};
    case DashStyleDashDotDot:
      return {3, 1, 1, 1, 1, 1};
    case DashStyleCustom:
      return {dashes.begin(), dashes.end()};
    default:
      return {};
  }
}

}  // namespace detail

namespace {

bool ValidPenUnit(Unit u) {
  return u >= UnitWorld && u <= UnitMillimeter && u != UnitDisplay;
}

bool ValidCap(LineCap c) {
  return (c >= LineCapFlat && c <= LineCapTriangle) || (c >= LineCapNoAnchor && c <= LineCapArrowAnchor) ||
         c == LineCapCustom;
}

bool ValidDashCap(DashCap c) {
  return c == DashCapFlat || c == DashCapRound || c == DashCapTriangle;
}

Status NewPen(std::unique_ptr<Brush> brush, REAL width, Unit unit, GpPen** pen) {
  if (!pen || !Finite(width) || width < 0 || !ValidPenUnit(unit)) return InvalidParameter;
  auto p = std::make_unique<Pen>();
  p->brush = std::move(brush);
  p->width = width;
  p->unit = unit;
  *pen = Adopt(std::move(p));
  return Ok;
}

}  // namespace

Status GdipCreatePen1(ARGB color, REAL width, GpUnit unit, GpPen** pen) {
  QD_GDIP_ENTER();
  auto b = std::make_unique<SolidFill>();
  b->color = color;
  return NewPen(std::move(b), width, unit, pen);
}

Status GdipCreatePen2(GpBrush* brush, REAL width, GpUnit unit, GpPen** pen) {
  QD_GDIP_ENTER();
  auto* b = GetBrush(brush);
  if (!b) return InvalidParameter;
  return NewPen(b->Clone(), width, unit, pen);
}

Status GdipClonePen(GpPen* pen, GpPen** clonepen) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !clonepen) return InvalidParameter;
  *clonepen = Adopt(p->Clone());
  return Ok;
}

Status GdipDeletePen(GpPen* pen) {
  QD_GDIP_LOCK();
  if (!Get<Pen>(pen)) return InvalidParameter;
  Destroy(pen);
  return Ok;
}

Status GdipSetPenWidth(GpPen* pen, REAL width) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !Finite(width) || width < 0) return InvalidParameter;
  p->width = width;
  return Ok;
}

Status GdipGetPenWidth(GpPen* pen, REAL* width) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !width) return InvalidParameter;
  *width = p->width;
  return Ok;
}

Status GdipSetPenUnit(GpPen* pen, GpUnit unit) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !ValidPenUnit(unit)) return InvalidParameter;
  p->unit = unit;
  return Ok;
}

Status GdipGetPenUnit(GpPen* pen, GpUnit* unit) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !unit) return InvalidParameter;
  *unit = p->unit;
  return Ok;
}

Status GdipSetPenLineCap197819(GpPen* pen, GpLineCap startCap, GpLineCap endCap, GpDashCap dashCap) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !ValidCap(startCap) || !ValidCap(endCap) || !ValidDashCap(dashCap)) return InvalidParameter;
  p->startCap = startCap;
  p->endCap = endCap;
  p->dashCap = dashCap;
  return Ok;
}

Status GdipSetPenStartCap(GpPen* pen, GpLineCap startCap) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !ValidCap(startCap)) return InvalidParameter;
  p->startCap = startCap;
  return Ok;
}

Status GdipSetPenEndCap(GpPen* pen, GpLineCap endCap) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !ValidCap(endCap)) return InvalidParameter;
  p->endCap = endCap;
  return Ok;
}

Status GdipSetPenDashCap197819(GpPen* pen, GpDashCap dashCap) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !ValidDashCap(dashCap)) return InvalidParameter;
  p->dashCap = dashCap;
  return Ok;
}

Status GdipGetPenStartCap(GpPen* pen, GpLineCap* startCap) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !startCap) return InvalidParameter;
  *startCap = p->startCap;
  return Ok;
}

Status GdipGetPenEndCap(GpPen* pen, GpLineCap* endCap) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !endCap) return InvalidParameter;
  *endCap = p->endCap;
  return Ok;
}

Status GdipGetPenDashCap197819(GpPen* pen, GpDashCap* dashCap) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !dashCap) return InvalidParameter;
  *dashCap = p->dashCap;
  return Ok;
}

Status GdipSetPenLineJoin(GpPen* pen, GpLineJoin lineJoin) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || lineJoin < LineJoinMiter || lineJoin > LineJoinMiterClipped) return InvalidParameter;
  p->join = lineJoin;
  return Ok;
}

Status GdipGetPenLineJoin(GpPen* pen, GpLineJoin* lineJoin) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !lineJoin) return InvalidParameter;
  *lineJoin = p->join;
  return Ok;
}

Status GdipSetPenMiterLimit(GpPen* pen, REAL miterLimit) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !Finite(miterLimit)) return InvalidParameter;
  p->miterLimit = std::max<REAL>(miterLimit, 1);
  return Ok;
}

Status GdipGetPenMiterLimit(GpPen* pen, REAL* miterLimit) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !miterLimit) return InvalidParameter;
  *miterLimit = p->miterLimit;
  return Ok;
}

Status GdipSetPenMode(GpPen* pen, GpPenAlignment penMode) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || penMode < PenAlignmentCenter || penMode > PenAlignmentRight) return InvalidParameter;
  p->alignment = penMode;
  return Ok;
}

Status GdipGetPenMode(GpPen* pen, GpPenAlignment* penMode) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !penMode) return InvalidParameter;
  *penMode = p->alignment;
  return Ok;
}

Status GdipSetPenTransform(GpPen* pen, GpMatrix* matrix) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  auto* m = Get<Matrix>(matrix);
  if (!p || !m || !m->m.Invertible()) return InvalidParameter;
  p->transform = m->m;
  return Ok;
}

Status GdipGetPenTransform(GpPen* pen, GpMatrix* matrix) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  auto* m = Get<Matrix>(matrix);
  if (!p || !m) return InvalidParameter;
  m->m = p->transform;
  return Ok;
}

Status GdipResetPenTransform(GpPen* pen) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p) return InvalidParameter;
  p->transform = Mx{};
  return Ok;
}

Status GdipMultiplyPenTransform(GpPen* pen, const GpMatrix* matrix, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  auto* m = Get<Matrix>(matrix);
  if (!p || !m) return InvalidParameter;
  Combine(p->transform, m->m, order);
  return Ok;
}

Status GdipTranslatePenTransform(GpPen* pen, REAL dx, REAL dy, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !Finite(dx, dy)) return InvalidParameter;
  Combine(p->transform, Mx::Translation(dx, dy), order);
  return Ok;
}

Status GdipScalePenTransform(GpPen* pen, REAL sx, REAL sy, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !Finite(sx, sy)) return InvalidParameter;
  Combine(p->transform, Mx::Scaling(sx, sy), order);
  return Ok;
}

Status GdipRotatePenTransform(GpPen* pen, REAL angle, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !Finite(angle)) return InvalidParameter;
  Combine(p->transform, Mx::Rotation(angle), order);
  return Ok;
}

Status GdipSetPenColor(GpPen* pen, ARGB argb) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p) return InvalidParameter;
  if (auto* s = dynamic_cast<SolidFill*>(p->brush.get())) {
    s->color = argb;
  } else {
    auto b = std::make_unique<SolidFill>();
    b->color = argb;
    p->brush = std::move(b);
  }
  return Ok;
}

Status GdipGetPenColor(GpPen* pen, ARGB* argb) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !argb) return InvalidParameter;
  auto* s = dynamic_cast<SolidFill*>(p->brush.get());
  if (!s) return InvalidParameter;
  *argb = s->color;
  return Ok;
}

Status GdipSetPenBrushFill(GpPen* pen, GpBrush* brush) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  auto* b = GetBrush(brush);
  if (!p || !b) return InvalidParameter;
  p->brush = b->Clone();
  return Ok;
}

Status GdipGetPenBrushFill(GpPen* pen, GpBrush** brush) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !brush) return InvalidParameter;
  *brush = Adopt(p->brush->Clone())->Handle();
  return Ok;
}

Status GdipGetPenFillType(GpPen* pen, GpPenType* type) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !type) return InvalidParameter;
  *type = static_cast<PenType>(p->brush->Type());
  return Ok;
}

Status GdipGetPenDashStyle(GpPen* pen, GpDashStyle* dashstyle) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !dashstyle) return InvalidParameter;
  *dashstyle = p->dashStyle;
  return Ok;
}

Status GdipSetPenDashStyle(GpPen* pen, GpDashStyle dashstyle) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || dashstyle < DashStyleSolid || dashstyle > DashStyleCustom) return InvalidParameter;
  p->dashStyle = dashstyle;
  if (dashstyle == DashStyleCustom && p->dashes.empty()) p->dashes = {1, 1};
  return Ok;
}

Status GdipGetPenDashOffset(GpPen* pen, REAL* offset) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !offset) return InvalidParameter;
  *offset = p->dashOffset;
  return Ok;
}

Status GdipSetPenDashOffset(GpPen* pen, REAL offset) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !Finite(offset)) return InvalidParameter;
  p->dashOffset = offset;
  return Ok;
}

Status GdipGetPenDashCount(GpPen* pen, INT* count) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !count) return InvalidParameter;
  *count = static_cast<INT>(p->Pattern().size());
  return Ok;
}

Status GdipSetPenDashArray(GpPen* pen, const REAL* dash, INT count) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !dash || count <= 0) return InvalidParameter;
  for (INT i = 0; i < count; ++i)
    if (!Finite(dash[i]) || dash[i] <= 0) return InvalidParameter;
  p->dashes.assign(dash, dash + count);
  p->dashStyle = DashStyleCustom;
  return Ok;
}

Status GdipGetPenDashArray(GpPen* pen, REAL* dash, INT count) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !dash || count <= 0) return InvalidParameter;
  auto pattern = p->Pattern();
  if (static_cast<size_t>(count) < pattern.size()) return InsufficientBuffer;
  for (size_t i = 0; i < pattern.size(); ++i) dash[i] = static_cast<REAL>(pattern[i]);
  return Ok;
}

// ---- Custom caps -----------------------------------------------------------------------------

namespace {

Status PenSetCustomCap(GpPen* pen, GpCustomLineCap* customCap, bool start) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  auto* c = Get<CustomLineCap>(customCap);
  if (!p || !c) return InvalidParameter;
  auto copy = std::make_shared<CustomLineCap>(*c);
  (start ? p->customStart : p->customEnd) = std::move(copy);
  (start ? p->startCap : p->endCap) = LineCapCustom;
  return Ok;
}

Status PenGetCustomCap(GpPen* pen, GpCustomLineCap** customCap, bool start) {
  QD_GDIP_ENTER();
  auto* p = Get<Pen>(pen);
  if (!p || !customCap) return InvalidParameter;
  const auto& cap = start ? p->customStart : p->customEnd;
  if (!cap) {
    *customCap = nullptr;
    return Ok;
  }
  *customCap =
      static_cast<GpCustomLineCap*>(const_cast<void*>(Adopt(std::make_unique<CustomLineCap>(*cap))->Key()));
  return Ok;
}

}  // namespace

Status GdipSetPenCustomStartCap(GpPen* pen, GpCustomLineCap* customCap) {
  return PenSetCustomCap(pen, customCap, true);
}

Status GdipGetPenCustomStartCap(GpPen* pen, GpCustomLineCap** customCap) {
  return PenGetCustomCap(pen, customCap, true);
}

Status GdipSetPenCustomEndCap(GpPen* pen, GpCustomLineCap* customCap) {
  return PenSetCustomCap(pen, customCap, false);
}

Status GdipGetPenCustomEndCap(GpPen* pen, GpCustomLineCap** customCap) {
  return PenGetCustomCap(pen, customCap, false);
}

}  // namespace qd::gdiplus
