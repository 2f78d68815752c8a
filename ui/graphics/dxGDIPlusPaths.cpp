// GDI+ paths and regions.
#include <algorithm>
#include <cmath>

#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/graphics/dxGDIPlusClasses.h"

namespace qd {

namespace {

std::vector<gdiplus::GpPointF> GdipPathsToPointsF(const std::vector<TPoint>& APoints) {
  std::vector<gdiplus::GpPointF> r;
  r.reserve(APoints.size());
  for (const TPoint& p : APoints) r.push_back({static_cast<float>(p.X), static_cast<float>(p.Y)});
  return r;
}

std::vector<gdiplus::GpPointF> GdipPathsToPointsF(const std::vector<TdxPointF>& APoints) {
  std::vector<gdiplus::GpPointF> r;
  r.reserve(APoints.size());
  for (const TdxPointF& p : APoints) r.push_back({p.X, p.Y});
  return r;
}

GpGraphics* GdipPathsCanvasHandle(TdxGPCanvas* ACanvas) {
  return ACanvas ? ACanvas->Handle() : nullptr;
}

}  // namespace

QD_IMPLEMENT_CLASS(TdxGPPath)
QD_IMPLEMENT_CLASS(TdxGPRegion)

TdxGPPath::TdxGPPath(gdiplus::FillMode AFillMode) {
  GdipCheck(GdipCreatePath(AFillMode, &FHandle));
}

TdxGPPath::TdxGPPath(const std::vector<TdxGpPointF>& APoints, const std::vector<uint8_t>& APointTypes) {
  if (APointTypes.size() < APoints.size()) GdipCheck(gdiplus::InvalidParameter);
  GdipCheck(GdipCreatePath2(reinterpret_cast<const gdiplus::GpPointF*>(APoints.data()), APointTypes.data(),
                            static_cast<int32_t>(APoints.size()), gdiplus::FillModeAlternate, &FHandle));
}

TdxGPPath::~TdxGPPath() {
  if (FHandle && GdipDeletePath) GdipDeletePath(FHandle);
}

void TdxGPPath::Assign(TdxGPPath* ASource) {
  if (!ASource || ASource == this) return;
  GpPath* clone = nullptr;
  GdipCheck(GdipClonePath(ASource->FHandle, &clone));
  GdipDeletePath(FHandle);
  FHandle = clone;
}

gdiplus::FillMode TdxGPPath::FillMode() const {
  gdiplus::FillMode mode{};
  GdipCheck(GdipGetPathFillMode(FHandle, &mode));
  return mode;
}

void TdxGPPath::SetFillMode(gdiplus::FillMode AValue) {
  GdipCheck(GdipSetPathFillMode(FHandle, AValue));
}
void TdxGPPath::FigureStart() {
  GdipCheck(GdipStartPathFigure(FHandle));
}
void TdxGPPath::FigureFinish() {
  GdipCheck(GdipClosePathFigure(FHandle));
}
void TdxGPPath::Reset() {
  GdipCheck(GdipResetPath(FHandle));
}

void TdxGPPath::Flatten(TdxGPMatrix* AMatrix, float AFlatness) {
  GdipCheck(GdipFlattenPath(FHandle, AMatrix ? AMatrix->NativeHandle() : nullptr, AFlatness));
}

void TdxGPPath::AddArc(float X, float Y, float Width, float Height, float StartAngle, float SweepAngle) {
  GdipCheck(GdipAddPathArc(FHandle, X, Y, Width, Height, StartAngle, SweepAngle));
}

void TdxGPPath::AddBezier(const TdxPointF& P1, const TdxPointF& P2, const TdxPointF& P3,
                          const TdxPointF& P4) {
  GdipCheck(GdipAddPathBezier(FHandle, P1.X, P1.Y, P2.X, P2.Y, P3.X, P3.Y, P4.X, P4.Y));
}

void TdxGPPath::AddEllipse(const TRect& R) {
  AddEllipse(TdxRectF(R));
}

void TdxGPPath::AddEllipse(const TdxRectF& R) {
  GdipCheck(GdipAddPathEllipse(FHandle, R.Left, R.Top, R.Width(), R.Height()));
}

void TdxGPPath::AddLine(float X1, float Y1, float X2, float Y2) {
  GdipCheck(GdipAddPathLine(FHandle, X1, Y1, X2, Y2));
}

void TdxGPPath::AddPath(TdxGPPath* APath) {
  GdipCheck(GdipAddPathPath(FHandle, APath->FHandle, -1));
}

void TdxGPPath::AddPie(float X, float Y, float Width, float Height, float StartAngle, float SweepAngle) {
  GdipCheck(GdipAddPathPie(FHandle, X, Y, Width, Height, StartAngle, SweepAngle));
}

void TdxGPPath::AddPolygon(const std::vector<TPoint>& APoints) {
  const auto p = GdipPathsToPointsF(APoints);
  GdipCheck(GdipAddPathPolygon(FHandle, p.data(), static_cast<int32_t>(p.size())));
}

void TdxGPPath::AddPolygon(const std::vector<TdxPointF>& APoints) {
  const auto p = GdipPathsToPointsF(APoints);
  GdipCheck(GdipAddPathPolygon(FHandle, p.data(), static_cast<int32_t>(p.size())));
}

void TdxGPPath::AddPolyline(const std::vector<TPoint>& APoints) {
  const auto p = GdipPathsToPointsF(APoints);
  GdipCheck(GdipAddPathLine2(FHandle, p.data(), static_cast<int32_t>(p.size())));
}

void TdxGPPath::AddPolyline(const std::vector<TdxPointF>& APoints) {
  const auto p = GdipPathsToPointsF(APoints);
  GdipCheck(GdipAddPathLine2(FHandle, p.data(), static_cast<int32_t>(p.size())));
}

void TdxGPPath::AddRect(const TRect& R) {
  AddRect(TdxRectF(R));
}

void TdxGPPath::AddRect(const TdxRectF& R) {
  GdipCheck(GdipAddPathRectangle(FHandle, R.Left, R.Top, R.Width(), R.Height()));
}

void TdxGPPath::AddRoundRect(const TRect& R, int32_t ARadiusX, int32_t ARadiusY) {
  AddRoundRect(TdxRectF(R), static_cast<float>(ARadiusX), static_cast<float>(ARadiusY));
}

void TdxGPPath::AddRoundRect(const TdxRectF& R, float ARadiusX, float ARadiusY) {
  const float rx = std::min(R.Width() / 3, ARadiusX);
  const float ry = std::min(R.Height() / 3, ARadiusY);
  FigureStart();
  try {
    if (rx <= 0 || ry <= 0) {
      AddRect(R);
    } else {
      const float w = 2 * rx, h = 2 * ry;
      AddLine(R.Left + rx, R.Top, R.Right - w, R.Top);
      AddArc(R.Right - w, R.Top, w, h, 270, 90);
      AddLine(R.Right, R.Top + ry, R.Right, R.Bottom - h);
      AddArc(R.Right - w, R.Bottom - h, w, h, 0, 90);
      AddLine(R.Right - w, R.Bottom, R.Left + rx, R.Bottom);
      AddArc(R.Left, R.Bottom - h, w, h, 90, 90);
      AddLine(R.Left, R.Bottom - h, R.Left, R.Top + ry);
      AddArc(R.Left, R.Top, w, h, 180, 90);
    }
  } catch (...) {
    GdipClosePathFigure(FHandle);
    throw;
  }
  FigureFinish();
}

TRect TdxGPPath::GetBounds(TdxGPPen* APen) {
  gdiplus::GpRect r{};
  GdipCheck(GdipGetPathWorldBoundsI(FHandle, &r, nullptr, APen ? APen->NativeHandle() : nullptr));
  return TRect{r.X, r.Y, r.X + r.Width, r.Y + r.Height};
}

TdxRectF TdxGPPath::GetBoundsF(TdxGPPen* APen) {
  gdiplus::GpRectF r{};
  GdipCheck(GdipGetPathWorldBounds(FHandle, &r, nullptr, APen ? APen->NativeHandle() : nullptr));
  return TdxRectF(r.X, r.Y, r.X + r.Width, r.Y + r.Height);
}

int32_t TdxGPPath::PointCount() {
  INT count = 0;
  GdipCheck(GdipGetPointCount(FHandle, &count));
  return count;
}

bool TdxGPPath::IsPointInPath(const TdxPointF& P, TdxGPCanvas* ACanvas) {
  BOOL result = FALSE;
  GdipCheck(GdipIsVisiblePathPoint(FHandle, P.X, P.Y, GdipPathsCanvasHandle(ACanvas), &result));
  return result != FALSE;
}

bool TdxGPPath::IsPointInPathOutline(const TdxPointF& P, TdxGPPen* APen, TdxGPCanvas* ACanvas) {
  BOOL result = FALSE;
  GdipCheck(GdipIsOutlineVisiblePathPoint(FHandle, P.X, P.Y, APen->NativeHandle(),
                                          GdipPathsCanvasHandle(ACanvas), &result));
  return result != FALSE;
}

bool TdxGPPath::IsPointInPathOutline(const TPoint& P, int32_t APenWidth, TdxGPCanvas* ACanvas) {
  IdxGPHandle pen;
  if (!TdxGPResourceManager::GetPen(0xFFFF0000, psSolid, static_cast<float>(APenWidth), pen)) return false;
  BOOL result = FALSE;
  GdipCheck(GdipIsOutlineVisiblePathPoint(FHandle, static_cast<float>(P.X), static_cast<float>(P.Y),
                                          static_cast<GpPen*>(pen->GetNativeHandle()),
                                          GdipPathsCanvasHandle(ACanvas), &result));
  return result != FALSE;
}

void TdxGPPath::Transform(TdxGPMatrix* AMatrix) {
  GdipCheck(GdipTransformPath(FHandle, AMatrix ? AMatrix->NativeHandle() : nullptr));
}

// ---- TdxGPRegion ---------------------------------------------------------------------------

TdxGPRegion::TdxGPRegion() {
  GdipCheck(GdipCreateRegion(&FHandle));
}
TdxGPRegion::TdxGPRegion(GpPath* APath) {
  GdipCheck(GdipCreateRegionPath(APath, &FHandle));
}
TdxGPRegion::TdxGPRegion(const TRect& R) {
  GdipCheck(GdipCreateRegionRectI(TdxGpRect::FromRect(R).Gp(), &FHandle));
}
TdxGPRegion::TdxGPRegion(const TdxRectF& R) {
  GdipCheck(GdipCreateRegionRect(TdxGpRectF::FromRectF(R).Gp(), &FHandle));
}

TdxGPRegion::~TdxGPRegion() {
  if (FHandle && GdipDeleteRegion) GdipDeleteRegion(FHandle);
}

TdxGPRegion* TdxGPRegion::CreateFromRegion(GpRegion* ARegion) {
  GpRegion* clone = nullptr;
  GdipCheck(GdipCloneRegion(ARegion, &clone));
  return new TdxGPRegion(clone, AdoptTag{});
}

void TdxGPRegion::CombineRegionRect(const TRect& R, gdiplus::CombineMode AMode) {
  GdipCheck(GdipCombineRegionRectI(FHandle, TdxGpRect::FromRect(R).Gp(), AMode));
}

void TdxGPRegion::CombineRegionRect(const TdxRectF& R, gdiplus::CombineMode AMode) {
  GdipCheck(GdipCombineRegionRect(FHandle, TdxGpRectF::FromRectF(R).Gp(), AMode));
}

void TdxGPRegion::CombineRegionRegion(TdxGPRegion* ARegion, gdiplus::CombineMode AMode) {
  GdipCheck(GdipCombineRegionRegion(FHandle, ARegion->FHandle, AMode));
}

}  // namespace qd
