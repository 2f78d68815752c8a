// Matrices.
#include "platform/gdiplus/gdip_internal.h"

namespace qd::gdiplus {

using namespace detail;

namespace {

Status NewMatrix(const Mx& m, GpMatrix** out) {
  auto mx = std::make_unique<Matrix>();
  mx->m = m;
  *out = Adopt(std::move(mx));
  return Ok;
}

// Parallelogram mapping: the rectangle's top-left, top-right and bottom-left corners go to
// the three points.
bool MapRectToPoints(double x, double y, double w, double h, const double p[6], Mx& out) {
  if (w == 0 || h == 0) return false;
  Mx m;
  m.m11 = (p[2] - p[0]) / w;
  m.m12 = (p[3] - p[1]) / w;
  m.m21 = (p[4] - p[0]) / h;
  m.m22 = (p[5] - p[1]) / h;
  m.dx = p[0] - x * m.m11 - y * m.m21;
  m.dy = p[1] - x * m.m12 - y * m.m22;
  out = m;
  return true;
}

}  // namespace

Status GdipCreateMatrix(GpMatrix** matrix) {
  QD_GDIP_ENTER();
  if (!matrix) return InvalidParameter;
  return NewMatrix(Mx{}, matrix);
}

Status GdipCreateMatrix2(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy, GpMatrix** matrix) {
  QD_GDIP_ENTER();
  if (!matrix || !Finite(m11, m12, m21, m22, dx, dy)) return InvalidParameter;
  return NewMatrix(Mx{m11, m12, m21, m22, dx, dy}, matrix);
}

Status GdipCreateMatrix3(const GpRectF* rect, const GpPointF* dstplg, GpMatrix** matrix) {
  QD_GDIP_ENTER();
  if (!rect || !dstplg || !matrix || !FinitePoints(dstplg, 3) ||
      !Finite(rect->X, rect->Y, rect->Width, rect->Height))
    return InvalidParameter;
  double p[6] = {dstplg[0].X, dstplg[0].Y, dstplg[1].X, dstplg[1].Y, dstplg[2].X, dstplg[2].Y};
  Mx m;
  if (!MapRectToPoints(rect->X, rect->Y, rect->Width, rect->Height, p, m)) return InvalidParameter;
  return NewMatrix(m, matrix);
}

Status GdipCreateMatrix3I(const GpRect* rect, const GpPoint* dstplg, GpMatrix** matrix) {
  if (!rect || !dstplg) return InvalidParameter;
  GpRectF r{REAL(rect->X), REAL(rect->Y), REAL(rect->Width), REAL(rect->Height)};
  GpPointF p[3];
  for (int i = 0; i < 3; ++i) p[i] = {REAL(dstplg[i].X), REAL(dstplg[i].Y)};
  return GdipCreateMatrix3(&r, p, matrix);
}

Status GdipCloneMatrix(GpMatrix* matrix, GpMatrix** cloneMatrix) {
  QD_GDIP_ENTER();
  auto* m = Get<Matrix>(matrix);
  if (!m || !cloneMatrix) return InvalidParameter;
  return NewMatrix(m->m, cloneMatrix);
}

Status GdipDeleteMatrix(GpMatrix* matrix) {
  QD_GDIP_LOCK();
  if (!Get<Matrix>(matrix)) return InvalidParameter;
  Destroy(matrix);
  return Ok;
}

Status GdipSetMatrixElements(GpMatrix* matrix, REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy) {
  QD_GDIP_ENTER();
  auto* m = Get<Matrix>(matrix);
  if (!m || !Finite(m11, m12, m21, m22, dx, dy)) return InvalidParameter;
  m->m = Mx{m11, m12, m21, m22, dx, dy};
  return Ok;
}

Status GdipGetMatrixElements(const GpMatrix* matrix, REAL* matrixOut) {
  QD_GDIP_ENTER();
  auto* m = Get<Matrix>(matrix);
  if (!m || !matrixOut) return InvalidParameter;
  const Mx& x = m->m;
  const double v[6] = {x.m11, x.m12, x.m21, x.m22, x.dx, x.dy};
  for (int i = 0; i < 6; ++i) matrixOut[i] = static_cast<REAL>(v[i]);
  return Ok;
}

Status GdipMultiplyMatrix(GpMatrix* matrix, GpMatrix* matrix2, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  auto* a = Get<Matrix>(matrix);
  auto* b = Get<Matrix>(matrix2);
  if (!a || !b || (order != MatrixOrderPrepend && order != MatrixOrderAppend)) return InvalidParameter;
  Combine(a->m, b->m, order);
  return Ok;
}

Status GdipTranslateMatrix(GpMatrix* matrix, REAL offsetX, REAL offsetY, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  auto* m = Get<Matrix>(matrix);
  if (!m || !Finite(offsetX, offsetY) || (order != MatrixOrderPrepend && order != MatrixOrderAppend))
    return InvalidParameter;
  Combine(m->m, Mx::Translation(offsetX, offsetY), order);
  return Ok;
}

Status GdipScaleMatrix(GpMatrix* matrix, REAL scaleX, REAL scaleY, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  auto* m = Get<Matrix>(matrix);
  if (!m || !Finite(scaleX, scaleY) || (order != MatrixOrderPrepend && order != MatrixOrderAppend))
    return InvalidParameter;
  Combine(m->m, Mx::Scaling(scaleX, scaleY), order);
  return Ok;
}

Status GdipRotateMatrix(GpMatrix* matrix, REAL angle, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  auto* m = Get<Matrix>(matrix);
  if (!m || !Finite(angle) || (order != MatrixOrderPrepend && order != MatrixOrderAppend))
    return InvalidParameter;
  Combine(m->m, Mx::Rotation(angle), order);
  return Ok;
}

Status GdipShearMatrix(GpMatrix* matrix, REAL shearX, REAL shearY, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  auto* m = Get<Matrix>(matrix);
  if (!m || !Finite(shearX, shearY) || (order != MatrixOrderPrepend && order != MatrixOrderAppend))
    return InvalidParameter;
  Combine(m->m, Mx::Shearing(shearX, shearY), order);
  return Ok;
}

Status GdipInvertMatrix(GpMatrix* matrix) {
  QD_GDIP_ENTER();
  auto* m = Get<Matrix>(matrix);
  if (!m || !m->m.Invertible()) return InvalidParameter;
  m->m = m->m.Inverse();
  return Ok;
}

Status GdipTransformMatrixPoints(GpMatrix* matrix, GpPointF* pts, INT count) {
  QD_GDIP_ENTER();
  auto* m = Get<Matrix>(matrix);
  if (!m || !pts || count <= 0) return InvalidParameter;
  for (INT i = 0; i < count; ++i) {
    double x = pts[i].X, y = pts[i].Y;
    m->m.Apply(x, y);
    pts[i] = {REAL(x), REAL(y)};
  }
  return Ok;
}

Status GdipTransformMatrixPointsI(GpMatrix* matrix, GpPoint* pts, INT count) {
  QD_GDIP_ENTER();
  auto* m = Get<Matrix>(matrix);
  if (!m || !pts || count <= 0) return InvalidParameter;
  for (INT i = 0; i < count; ++i) {
    double x = pts[i].X, y = pts[i].Y;
    m->m.Apply(x, y);
    if (!Finite(x, y) || std::fabs(x) > 2e9 || std::fabs(y) > 2e9) return ValueOverflow;
    pts[i] = {static_cast<INT>(std::lround(x)), static_cast<INT>(std::lround(y))};
  }
  return Ok;
}

Status GdipVectorTransformMatrixPoints(GpMatrix* matrix, GpPointF* pts, INT count) {
  QD_GDIP_ENTER();
  auto* m = Get<Matrix>(matrix);
  if (!m || !pts || count <= 0) return InvalidParameter;
  for (INT i = 0; i < count; ++i) {
    double x = pts[i].X, y = pts[i].Y;
    m->m.ApplyVector(x, y);
    pts[i] = {REAL(x), REAL(y)};
  }
  return Ok;
}

Status GdipVectorTransformMatrixPointsI(GpMatrix* matrix, GpPoint* pts, INT count) {
  QD_GDIP_ENTER();
  auto* m = Get<Matrix>(matrix);
  if (!m || !pts || count <= 0) return InvalidParameter;
  for (INT i = 0; i < count; ++i) {
    double x = pts[i].X, y = pts[i].Y;
    m->m.ApplyVector(x, y);
    if (!Finite(x, y) || std::fabs(x) > 2e9 || std::fabs(y) > 2e9) return ValueOverflow;
    pts[i] = {static_cast<INT>(std::lround(x)), static_cast<INT>(std::lround(y))};
  }
  return Ok;
}

Status GdipIsMatrixInvertible(const GpMatrix* matrix, BOOL* result) {
  QD_GDIP_ENTER();
  auto* m = Get<Matrix>(matrix);
  if (!m || !result) return InvalidParameter;
  *result = m->m.Invertible() ? TRUE : FALSE;
  return Ok;
}

Status GdipIsMatrixIdentity(const GpMatrix* matrix, BOOL* result) {
  QD_GDIP_ENTER();
  auto* m = Get<Matrix>(matrix);
  if (!m || !result) return InvalidParameter;
  // Compared as GDI+ keeps them, in single precision.
  const Mx& x = m->m;
  *result = REAL(x.m11) == 1 && REAL(x.m12) == 0 && REAL(x.m21) == 0 && REAL(x.m22) == 1 && REAL(x.dx) == 0 &&
                    REAL(x.dy) == 0
                ? TRUE
                : FALSE;
  return Ok;
}

Status GdipIsMatrixEqual(const GpMatrix* matrix, const GpMatrix* matrix2, BOOL* result) {
  QD_GDIP_ENTER();
  auto* a = Get<Matrix>(matrix);
  auto* b = Get<Matrix>(matrix2);
  if (!a || !b || !result) return InvalidParameter;
  const Mx &x = a->m, &y = b->m;
  *result = REAL(x.m11) == REAL(y.m11) && REAL(x.m12) == REAL(y.m12) && REAL(x.m21) == REAL(y.m21) &&
                    REAL(x.m22) == REAL(y.m22) && REAL(x.dx) == REAL(y.dx) && REAL(x.dy) == REAL(y.dy)
                ? TRUE
                : FALSE;
  return Ok;
}

}  // namespace qd::gdiplus
