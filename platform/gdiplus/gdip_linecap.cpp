// Custom line caps and adjustable arrow caps.
#include <algorithm>

#include "platform/gdiplus/gdip_internal.h"

namespace qd::gdiplus {

using namespace detail;

namespace detail {

void CustomLineCap::BuildArrow() {
  const double h = arrowHeight, hw = arrowWidth / 2, m = middleInset;
  fill = PathData();
  stroke = PathData();
  hasFill = arrowFilled;
  hasStroke = !arrowFilled;
  if (arrowFilled) {
    const GpPointF p[4] = {{0, 0}, {REAL(hw), REAL(-h)}, {0, REAL(-h + m)}, {REAL(-hw), REAL(-h)}};
    fill.AddPolygon(p, 4);
    // The line stops where the arrow's notch begins.
    baseInset = REAL(std::max(0.0, h - m));
  } else {
    const GpPointF p[3] = {{REAL(hw), REAL(-h)}, {0, 0}, {REAL(-hw), REAL(-h)}};
    stroke.AddLines(p, 3);
    baseInset = 0;
  }
}

}  // namespace detail

namespace {

CustomLineCap* GetCap(const GpCustomLineCap* cap) {
  return Get<CustomLineCap>(cap);
}

CustomLineCap* GetArrow(const GpAdjustableArrowCap* cap) {
  CustomLineCap* c = Get<CustomLineCap>(static_cast<const GpCustomLineCap*>(cap));
  return c && c->arrow ? c : nullptr;
}

bool ValidCapOfCap(LineCap c) {
  return c >= LineCapFlat && c <= LineCapTriangle;
}

GpCustomLineCap* CapHandle(CustomLineCap* c) {
  return static_cast<GpCustomLineCap*>(c);
}

// Setters and getters of one field of a cap.
template <class T, class V>
Status CapSet(T* handle, CustomLineCap* (*get)(const T*), V CustomLineCap::*field, V value) {
  QD_GDIP_ENTER();
  CustomLineCap* c = get(handle);
  if (!c) return InvalidParameter;
  c->*field = value;
  if (c->arrow) c->BuildArrow();
  return Ok;
}

template <class T, class V, class Out>
Status CapGet(T* handle, CustomLineCap* (*get)(const T*), V CustomLineCap::*field, Out* out) {
  QD_GDIP_ENTER();
  CustomLineCap* c = get(handle);
  if (!c || !out) return InvalidParameter;
  *out = static_cast<Out>(c->*field);
  return Ok;
}

}  // namespace

Status GdipCreateCustomLineCap(GpPath* fillPath, GpPath* strokePath, GpLineCap baseCap, REAL baseInset,
                               GpCustomLineCap** customCap) {
  QD_GDIP_ENTER();
  auto* f = fillPath ? Get<Path>(fillPath) : nullptr;
  auto* s = strokePath ? Get<Path>(strokePath) : nullptr;
  if (!customCap || (fillPath && !f) || (strokePath && !s) || (!f && !s) || !Finite(baseInset))
    return InvalidParameter;
  auto c = std::make_unique<CustomLineCap>();
  if (f) c->fill = f->data, c->hasFill = true;
  if (s) c->stroke = s->data, c->hasStroke = true;
  c->baseCap = ValidCapOfCap(baseCap) ? baseCap : LineCapFlat;
  c->baseInset = baseInset;
  *customCap = CapHandle(Adopt(std::move(c)));
  return Ok;
}

Status GdipDeleteCustomLineCap(GpCustomLineCap* customCap) {
  QD_GDIP_LOCK();
  if (!GetCap(customCap)) return InvalidParameter;
  Destroy(customCap);
  return Ok;
}

Status GdipCloneCustomLineCap(GpCustomLineCap* customCap, GpCustomLineCap** clonedCap) {
  QD_GDIP_ENTER();
  auto* c = GetCap(customCap);
  if (!c || !clonedCap) return InvalidParameter;
  *clonedCap = CapHandle(Adopt(std::make_unique<CustomLineCap>(*c)));
  return Ok;
}

Status GdipGetCustomLineCapType(GpCustomLineCap* customCap, CustomLineCapType* capType) {
  QD_GDIP_ENTER();
  auto* c = GetCap(customCap);
  if (!c || !capType) return InvalidParameter;
  *capType = c->arrow ? CustomLineCapTypeAdjustableArrow : CustomLineCapTypeDefault;
  return Ok;
}

Status GdipSetCustomLineCapStrokeCaps(GpCustomLineCap* customCap, GpLineCap startCap, GpLineCap endCap) {
  QD_GDIP_ENTER();
  auto* c = GetCap(customCap);
  if (!c || !ValidCapOfCap(startCap) || !ValidCapOfCap(endCap)) return InvalidParameter;
  c->strokeStartCap = startCap;
  c->strokeEndCap = endCap;
  return Ok;
}

Status GdipGetCustomLineCapStrokeCaps(GpCustomLineCap* customCap, GpLineCap* startCap, GpLineCap* endCap) {
  QD_GDIP_ENTER();
  auto* c = GetCap(customCap);
  if (!c || !startCap || !endCap) return InvalidParameter;
  *startCap = c->strokeStartCap;
  *endCap = c->strokeEndCap;
  return Ok;
}

Status GdipSetCustomLineCapStrokeJoin(GpCustomLineCap* customCap, GpLineJoin lineJoin) {
  if (lineJoin < LineJoinMiter || lineJoin > LineJoinMiterClipped) return InvalidParameter;
  return CapSet(customCap, GetCap, &CustomLineCap::strokeJoin, lineJoin);
}

Status GdipGetCustomLineCapStrokeJoin(GpCustomLineCap* customCap, GpLineJoin* lineJoin) {
  return CapGet(customCap, GetCap, &CustomLineCap::strokeJoin, lineJoin);
}

Status GdipSetCustomLineCapBaseCap(GpCustomLineCap* customCap, GpLineCap baseCap) {
  if (!ValidCapOfCap(baseCap)) return InvalidParameter;
  return CapSet(customCap, GetCap, &CustomLineCap::baseCap, baseCap);
}

Status GdipGetCustomLineCapBaseCap(GpCustomLineCap* customCap, GpLineCap* baseCap) {
  return CapGet(customCap, GetCap, &CustomLineCap::baseCap, baseCap);
}

Status GdipSetCustomLineCapBaseInset(GpCustomLineCap* customCap, REAL inset) {
  if (!Finite(inset)) return InvalidParameter;
  return CapSet(customCap, GetCap, &CustomLineCap::baseInset, inset);
}

Status GdipGetCustomLineCapBaseInset(GpCustomLineCap* customCap, REAL* inset) {
  return CapGet(customCap, GetCap, &CustomLineCap::baseInset, inset);
}

Status GdipSetCustomLineCapWidthScale(GpCustomLineCap* customCap, REAL widthScale) {
  if (!Finite(widthScale)) return InvalidParameter;
  return CapSet(customCap, GetCap, &CustomLineCap::widthScale, widthScale);
}

Status GdipGetCustomLineCapWidthScale(GpCustomLineCap* customCap, REAL* widthScale) {
  return CapGet(customCap, GetCap, &CustomLineCap::widthScale, widthScale);
}

Status GdipCreateAdjustableArrowCap(REAL height, REAL width, BOOL isFilled, GpAdjustableArrowCap** cap) {
  QD_GDIP_ENTER();
  if (!cap || !Finite(height, width)) return InvalidParameter;
  auto c = std::make_unique<CustomLineCap>();
  c->arrow = true;
  c->arrowHeight = height;
  c->arrowWidth = width;
  c->arrowFilled = isFilled != 0;
  c->BuildArrow();
  *cap = static_cast<GpAdjustableArrowCap*>(Adopt(std::move(c)));
  return Ok;
}

Status GdipSetAdjustableArrowCapHeight(GpAdjustableArrowCap* cap, REAL height) {
  if (!Finite(height)) return InvalidParameter;
  return CapSet(cap, GetArrow, &CustomLineCap::arrowHeight, height);
}

Status GdipGetAdjustableArrowCapHeight(GpAdjustableArrowCap* cap, REAL* height) {
  return CapGet(cap, GetArrow, &CustomLineCap::arrowHeight, height);
}

Status GdipSetAdjustableArrowCapWidth(GpAdjustableArrowCap* cap, REAL width) {
  if (!Finite(width)) return InvalidParameter;
  return CapSet(cap, GetArrow, &CustomLineCap::arrowWidth, width);
}

Status GdipGetAdjustableArrowCapWidth(GpAdjustableArrowCap* cap, REAL* width) {
  return CapGet(cap, GetArrow, &CustomLineCap::arrowWidth, width);
}

Status GdipSetAdjustableArrowCapMiddleInset(GpAdjustableArrowCap* cap, REAL middleInset) {
  if (!Finite(middleInset)) return InvalidParameter;
  return CapSet(cap, GetArrow, &CustomLineCap::middleInset, middleInset);
}

Status GdipGetAdjustableArrowCapMiddleInset(GpAdjustableArrowCap* cap, REAL* middleInset) {
  return CapGet(cap, GetArrow, &CustomLineCap::middleInset, middleInset);
}

Status GdipSetAdjustableArrowCapFillState(GpAdjustableArrowCap* cap, BOOL fillState) {
  return CapSet(cap, GetArrow, &CustomLineCap::arrowFilled, fillState != 0);
}

Status GdipGetAdjustableArrowCapFillState(GpAdjustableArrowCap* cap, BOOL* fillState) {
  return CapGet(cap, GetArrow, &CustomLineCap::arrowFilled, fillState);
}

}  // namespace qd::gdiplus
