#include "ui/graphics/dxGDIPlusCanvas.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/base/exceptions.h"
#include "platform/os/gdi.h"
#include "platform/os/kernel.h"
#include "ui/graphics/dxCoreGraphicsAlphaColors.h"
#include "platform/os/user.h"
#include "ui/core/dxCore.h"

namespace qd {

namespace {

using GdipCanvasWindowFromDCFunc = HWND (*)(HDC);
GdipCanvasWindowFromDCFunc GdipCanvasWindowFromDC = nullptr;
std::unique_ptr<TdxGPPaintCanvas> GdipCanvasShared;
TdxGpDeviceCapsFunc GdipCanvasDeviceCaps = nullptr;

int GdipCanvasGetDeviceCaps(HDC DC, int AIndex) {
  return GdipCanvasDeviceCaps ? GdipCanvasDeviceCaps(DC, AIndex) : GetDeviceCaps(DC, AIndex);
}

// Outlines include the right and bottom edge in GDI+.
TRect GdipCanvasCheckDestRect(TRect R) {
  --R.Right;
  --R.Bottom;
  return R;
}

template <class P>
TdxRectF GdipCanvasBounds(const std::vector<P>& APoints) {
  if (APoints.empty()) return {};
  TdxRectF r(static_cast<float>(APoints[0].X), static_cast<float>(APoints[0].Y),
             static_cast<float>(APoints[0].X), static_cast<float>(APoints[0].Y));
  for (const P& p : APoints) {
    r.Left = std::min(r.Left, static_cast<float>(p.X));
    r.Top = std::min(r.Top, static_cast<float>(p.Y));
    r.Right = std::max(r.Right, static_cast<float>(p.X));
    r.Bottom = std::max(r.Bottom, static_cast<float>(p.Y));
  }
  return r;
}

const gdiplus::GpPoint* GdipCanvasPointsI(const std::vector<TPoint>& APoints) {
  static_assert(sizeof(TPoint) == sizeof(gdiplus::GpPoint));
  return reinterpret_cast<const gdiplus::GpPoint*>(APoints.data());
}

const gdiplus::GpPointF* GdipCanvasPointsF(const std::vector<TdxPointF>& APoints) {
  static_assert(sizeof(TdxPointF) == sizeof(gdiplus::GpPointF));
  return reinterpret_cast<const gdiplus::GpPointF*>(APoints.data());
}

int32_t GdipCanvasCount(size_t ASize) {
  return static_cast<int32_t>(ASize);
}

}  // namespace

// ---- TdxGPCanvas ---------------------------------------------------------------------------

QD_IMPLEMENT_CLASS(TdxGPCanvas)
QD_IMPLEMENT_CLASS(TdxGPGraphics)
QD_IMPLEMENT_CLASS(TdxGPCustomPaintCanvas)
QD_IMPLEMENT_CLASS(TdxGPPaintCanvas)

TdxGPCanvas::TdxGPCanvas(HDC DC) {
  CreateHandle(DC);
}

TdxGPCanvas::~TdxGPCanvas() {
  FreeHandle();
  if (GdipDeleteRegion)
    for (GpRegion* r : FSavedClipRegions) GdipDeleteRegion(r);
  if (GdipDeleteMatrix)
    for (GpMatrix* m : FSavedWorldTransforms) GdipDeleteMatrix(m);
}

void TdxGPCanvas::CreateHandle(HDC DC) {
  GdipCheck(GdipCreateFromHDC(DC, &FHandle));
}

void TdxGPCanvas::FreeHandle() {
  if (FHandle && GdipDeleteGraphics) GdipDeleteGraphics(FHandle);
  FHandle = nullptr;
}

HDC TdxGPCanvas::GetHDC() {
  HDC dc = nullptr;
  GdipCheck(GdipGetDC(FHandle, &dc));
  return dc;
}

void TdxGPCanvas::ReleaseHDC(HDC DC) {
  GdipCheck(GdipReleaseDC(FHandle, DC));
}

float TdxGPCanvas::DpiX() {
  float r = 0;
  GdipCheck(GdipGetDpiX(FHandle, &r));
  return r;
}

float TdxGPCanvas::DpiY() {
  float r = 0;
  GdipCheck(GdipGetDpiY(FHandle, &r));
  return r;
}

void TdxGPCanvas::Clear(TColor AColor) {
  GdipCheck(GdipGraphicsClear(FHandle, dxColorToAlphaColor(AColor, 255)));
}

TdxGPInterpolationMode TdxGPCanvas::InterpolationMode() {
  gdiplus::InterpolationMode mode{};
  GdipCheck(GdipGetInterpolationMode(FHandle, &mode));
  return mode < 0 || mode > 7 ? imDefault : static_cast<TdxGPInterpolationMode>(mode);
}

void TdxGPCanvas::SetInterpolationMode(TdxGPInterpolationMode AValue) {
  GdipCheck(GdipSetInterpolationMode(FHandle, static_cast<gdiplus::InterpolationMode>(AValue)));
}

TdxGPSmoothingMode TdxGPCanvas::SmoothingMode() {
  gdiplus::SmoothingMode mode{};
  GdipCheck(GdipGetSmoothingMode(FHandle, &mode));
  return mode < 0 || mode > 4 ? smDefault : static_cast<TdxGPSmoothingMode>(mode);
}

void TdxGPCanvas::SetSmoothingMode(TdxGPSmoothingMode AValue) {
  GdipCheck(GdipSetSmoothingMode(FHandle, static_cast<gdiplus::SmoothingMode>(AValue)));
}

gdiplus::PixelOffsetMode TdxGPCanvas::PixelOffsetMode() {
  gdiplus::PixelOffsetMode mode{};
  GdipCheck(GdipGetPixelOffsetMode(FHandle, &mode));
  return mode;
}

void TdxGPCanvas::SetPixelOffsetMode(gdiplus::PixelOffsetMode AValue) {
  GdipCheck(GdipSetPixelOffsetMode(FHandle, AValue));
}

gdiplus::TextRenderingHint TdxGPCanvas::TextRenderingHint() {
  gdiplus::TextRenderingHint hint{};
  GdipCheck(GdipGetTextRenderingHint(FHandle, &hint));
  return hint;
}

void TdxGPCanvas::SetTextRenderingHint(gdiplus::TextRenderingHint AValue) {
  GdipCheck(GdipSetTextRenderingHint(FHandle, AValue));
}

// ---- Clip ----------------------------------------------------------------------------------

void TdxGPCanvas::SaveClipRegion() {
  GpRegion* region = nullptr;
  GdipCheck(GdipCreateRegion(&region));
  const Status s = GdipGetClip(FHandle, region);
  if (s != gdiplus::Ok) {
    GdipDeleteRegion(region);
    GdipCheck(s);
  }
  FSavedClipRegions.push_back(region);
}

void TdxGPCanvas::RestoreClipRegion() {
  if (FSavedClipRegions.empty()) return;
  GpRegion* region = FSavedClipRegions.back();
  FSavedClipRegions.pop_back();
  const Status s = GdipSetClipRegion(FHandle, region, gdiplus::CombineModeReplace);
  GdipDeleteRegion(region);
  GdipCheck(s);
}

void TdxGPCanvas::SetClipRect(const TRect& R, gdiplus::CombineMode AMode) {
  GdipCheck(GdipSetClipRectI(FHandle, R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top, AMode));
}

void TdxGPCanvas::SetClipRect(const TdxRectF& R, gdiplus::CombineMode AMode) {
  GdipCheck(GdipSetClipRect(FHandle, R.Left, R.Top, R.Width(), R.Height(), AMode));
}

void TdxGPCanvas::SetClipRegion(HRGN AGdiRegion, gdiplus::CombineMode AMode) {
  GdipCheck(GdipSetClipHrgn(FHandle, AGdiRegion, AMode));
}

void TdxGPCanvas::SetClipRegion(TdxGPRegion* ARegion, gdiplus::CombineMode AMode) {
  GdipCheck(GdipSetClipRegion(FHandle, ARegion->Handle(), AMode));
}

void TdxGPCanvas::SetClipPath(TdxGPPath* APath, gdiplus::CombineMode AMode) {
  GdipCheck(GdipSetClipPath(FHandle, APath->Handle(), AMode));
}

bool TdxGPCanvas::IsClipEmpty() {
  BOOL r = FALSE;
  GdipCheck(GdipIsClipEmpty(FHandle, &r));
  return r != FALSE;
}

// ---- World transform -----------------------------------------------------------------------

void TdxGPCanvas::SaveWorldTransform() {
  GpMatrix* m = nullptr;
  GdipCheck(GdipCreateMatrix(&m));
  const Status s = GdipGetWorldTransform(FHandle, m);
  if (s != gdiplus::Ok) {
    GdipDeleteMatrix(m);
    GdipCheck(s);
  }
  FSavedWorldTransforms.push_back(m);
}

void TdxGPCanvas::RestoreWorldTransform() {
  if (FSavedWorldTransforms.empty()) return;
  GpMatrix* m = FSavedWorldTransforms.back();
  FSavedWorldTransforms.pop_back();
  const Status s = GdipSetWorldTransform(FHandle, m);
  GdipDeleteMatrix(m);
  GdipCheck(s);
}

void TdxGPCanvas::SetWorldTransform(TdxGPMatrix* AMatrix) {
  GdipCheck(GdipSetWorldTransform(FHandle, AMatrix->NativeHandle()));
}

TdxGPMatrix* TdxGPCanvas::GetWorldTransform() {
  auto result = std::make_unique<TdxGPMatrix>();
  GdipCheck(GdipGetWorldTransform(FHandle, result->NativeHandle()));
  return result.release();
}

void TdxGPCanvas::ModifyWorldTransform(TdxGPMatrix* AMatrix, TdxGpMatrixOrder AOrder) {
  GdipCheck(GdipMultiplyWorldTransform(FHandle, AMatrix->NativeHandle(), AOrder));
}

void TdxGPCanvas::ResetWorldTransform() {
  GdipCheck(GdipResetWorldTransform(FHandle));
}

void TdxGPCanvas::TranslateWorldTransform(float AOffsetX, float AOffsetY, TdxGpMatrixOrder AOrder) {
  GdipCheck(GdipTranslateWorldTransform(FHandle, AOffsetX, AOffsetY, AOrder));
}

void TdxGPCanvas::ScaleWorldTransform(float AScaleX, float AScaleY, TdxGpMatrixOrder AOrder) {
  GdipCheck(GdipScaleWorldTransform(FHandle, AScaleX, AScaleY, AOrder));
}

void TdxGPCanvas::ScaleWorldTransform(float AScaleX, float AScaleY, const TdxPointF& ACenter) {
  TdxGPMatrix m(AScaleX, 0, 0, AScaleY, ACenter.X - ACenter.X * AScaleX, ACenter.Y - ACenter.Y * AScaleY);
  SetWorldTransform(&m);
}

void TdxGPCanvas::RotateWorldTransform(float AAngle, TdxGpMatrixOrder AOrder) {
  GdipCheck(GdipRotateWorldTransform(FHandle, AAngle, AOrder));
}

void TdxGPCanvas::RotateWorldTransform(float AAngle, const TdxPointF& APivotPoint, TdxGpMatrixOrder AOrder) {
  const float s = AOrder == gdiplus::MatrixOrderPrepend ? 1.f : -1.f;
  TranslateWorldTransform(s * APivotPoint.X, s * APivotPoint.Y, AOrder);
  RotateWorldTransform(AAngle, AOrder);
  TranslateWorldTransform(-s * APivotPoint.X, -s * APivotPoint.Y, AOrder);
}

void TdxGPCanvas::FlipWorldTransform(bool AFlipHorizontally, bool AFlipVertically,
                                     const TdxPointF& APivotPoint) {
  if (!AFlipHorizontally && !AFlipVertically) return;
  std::unique_ptr<TdxGPMatrix> flip(TdxGPMatrix::CreateFlip(AFlipHorizontally, AFlipVertically, APivotPoint));
  ModifyWorldTransform(flip.get(), gdiplus::MatrixOrderPrepend);
}

void TdxGPCanvas::TransformPoints(gdiplus::CoordinateSpace ADestSpace, gdiplus::CoordinateSpace ASrcSpace,
                                  std::vector<TdxPointF>& APoints) {
  if (APoints.empty()) throw EArgumentOutOfRangeException(u"points");
  GdipCheck(GdipTransformPoints(FHandle, ADestSpace, ASrcSpace,
                                reinterpret_cast<gdiplus::GpPointF*>(APoints.data()),
                                GdipCanvasCount(APoints.size())));
}

void TdxGPCanvas::TransformPoints(gdiplus::CoordinateSpace ADestSpace, gdiplus::CoordinateSpace ASrcSpace,
                                  std::vector<TPoint>& APoints) {
  if (APoints.empty()) throw EArgumentOutOfRangeException(u"points");
  GdipCheck(GdipTransformPointsI(FHandle, ADestSpace, ASrcSpace,
                                 reinterpret_cast<gdiplus::GpPoint*>(APoints.data()),
                                 GdipCanvasCount(APoints.size())));
}

// ---- Shapes --------------------------------------------------------------------------------

GpPen* TdxGPCanvas::CachedPen(TdxAlphaColor AColor, TPenStyle AStyle, float AWidth, IdxGPHandle& AHolder) {
  return TdxGPResourceManager::GetPen(AColor, AStyle, AWidth, AHolder)
             ? static_cast<GpPen*>(AHolder->GetNativeHandle())
             : nullptr;
}

GpBrush* TdxGPCanvas::CachedBrush(TdxAlphaColor AColor, IdxGPHandle& AHolder) {
  return TdxGPResourceManager::GetSolidBrush(AColor, AHolder)
             ? static_cast<GpBrush*>(AHolder->GetNativeHandle())
             : nullptr;
}

void TdxGPCanvas::Line(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TdxGPPen* APen) {
  if (!APen) return;
  APen->SetTargetRect(TRect{std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2)});
  GdipCheck(GdipDrawLineI(FHandle, APen->NativeHandle(), X1, Y1, X2, Y2));
}

void TdxGPCanvas::Line(float X1, float Y1, float X2, float Y2, TdxGPPen* APen) {
  if (!APen) return;
  APen->SetTargetRect(TdxRectF(std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2)));
  GdipCheck(GdipDrawLine(FHandle, APen->NativeHandle(), X1, Y1, X2, Y2));
}

void TdxGPCanvas::Line(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TdxAlphaColor APenColor,
                       float APenWidth, TPenStyle APenStyle) {
  IdxGPHandle h;
  if (GpPen* pen = CachedPen(APenColor, APenStyle, APenWidth, h))
    GdipCheck(GdipDrawLineI(FHandle, pen, X1, Y1, X2, Y2));
}

void TdxGPCanvas::Line(float X1, float Y1, float X2, float Y2, TdxAlphaColor APenColor, float APenWidth,
                       TPenStyle APenStyle) {
  IdxGPHandle h;
  if (GpPen* pen = CachedPen(APenColor, APenStyle, APenWidth, h))
    GdipCheck(GdipDrawLine(FHandle, pen, X1, Y1, X2, Y2));
}

void TdxGPCanvas::Line(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor APenColor, float APenWidth,
                       TPenStyle APenStyle, uint8_t APenColorAlpha) {
  Line(X1, Y1, X2, Y2, dxColorToAlphaColor(APenColor, APenColorAlpha), APenWidth, APenStyle);
}

void TdxGPCanvas::Polyline(const std::vector<TPoint>& APoints, TdxGPPen* APen) {
  if (!APen || APen->IsEmpty() || APoints.empty()) return;
  APen->SetTargetRect(GdipCanvasBounds(APoints));
  GdipCheck(GdipDrawLinesI(FHandle, APen->NativeHandle(), GdipCanvasPointsI(APoints),
                           GdipCanvasCount(APoints.size())));
}

void TdxGPCanvas::Polyline(const std::vector<TdxPointF>& APoints, TdxGPPen* APen) {
  if (!APen || APen->IsEmpty() || APoints.empty()) return;
  APen->SetTargetRect(GdipCanvasBounds(APoints));
  GdipCheck(GdipDrawLines(FHandle, APen->NativeHandle(), GdipCanvasPointsF(APoints),
                          GdipCanvasCount(APoints.size())));
}

void TdxGPCanvas::Polyline(const std::vector<TPoint>& APoints, TdxAlphaColor APenColor, float APenWidth,
                           TPenStyle APenStyle) {
  IdxGPHandle h;
  if (GpPen* pen = CachedPen(APenColor, APenStyle, APenWidth, h))
    GdipCheck(GdipDrawLinesI(FHandle, pen, GdipCanvasPointsI(APoints), GdipCanvasCount(APoints.size())));
}

void TdxGPCanvas::Polyline(const std::vector<TPoint>& APoints, TColor APenColor, float APenWidth,
                           TPenStyle APenStyle, uint8_t APenColorAlpha) {
  Polyline(APoints, dxColorToAlphaColor(APenColor, APenColorAlpha), APenWidth, APenStyle);
}

void TdxGPCanvas::Polygon(const std::vector<TPoint>& APoints, TdxGPPen* APen, TdxGPCustomBrush* ABrush) {
  const TdxRectF bounds = GdipCanvasBounds(APoints);
  if (ABrush) {
    ABrush->SetTargetRect(bounds);
    GdipCheck(GdipFillPolygonI(FHandle, ABrush->NativeHandle(), GdipCanvasPointsI(APoints),
                               GdipCanvasCount(APoints.size()), gdiplus::FillModeWinding));
  }
  if (APen) {
    APen->SetTargetRect(bounds);
    GdipCheck(GdipDrawPolygonI(FHandle, APen->NativeHandle(), GdipCanvasPointsI(APoints),
                               GdipCanvasCount(APoints.size())));
  }
}

void TdxGPCanvas::Polygon(const std::vector<TdxPointF>& APoints, TdxGPPen* APen, TdxGPCustomBrush* ABrush) {
  const TdxRectF bounds = GdipCanvasBounds(APoints);
  if (ABrush) {
    ABrush->SetTargetRect(bounds);
    GdipCheck(GdipFillPolygon(FHandle, ABrush->NativeHandle(), GdipCanvasPointsF(APoints),
                              GdipCanvasCount(APoints.size()), gdiplus::FillModeWinding));
  }
  if (APen) {
    APen->SetTargetRect(bounds);
    GdipCheck(GdipDrawPolygon(FHandle, APen->NativeHandle(), GdipCanvasPointsF(APoints),
                              GdipCanvasCount(APoints.size())));
  }
}

void TdxGPCanvas::Polygon(const std::vector<TPoint>& APoints, TdxAlphaColor APenColor,
                          TdxAlphaColor ABrushColor, float APenWidth, TPenStyle APenStyle) {
  IdxGPHandle hb, hp;
  if (GpBrush* brush = CachedBrush(ABrushColor, hb))
    GdipCheck(GdipFillPolygonI(FHandle, brush, GdipCanvasPointsI(APoints), GdipCanvasCount(APoints.size()),
                               gdiplus::FillModeWinding));
  if (GpPen* pen = CachedPen(APenColor, APenStyle, APenWidth, hp))
    GdipCheck(GdipDrawPolygonI(FHandle, pen, GdipCanvasPointsI(APoints), GdipCanvasCount(APoints.size())));
}

void TdxGPCanvas::Polygon(const std::vector<TdxPointF>& APoints, TdxAlphaColor APenColor,
                          TdxAlphaColor ABrushColor, float APenWidth, TdxGPPenStyle APenStyle) {
  IdxGPHandle hb, hp;
  if (GpBrush* brush = CachedBrush(ABrushColor, hb))
    GdipCheck(GdipFillPolygon(FHandle, brush, GdipCanvasPointsF(APoints), GdipCanvasCount(APoints.size()),
                              gdiplus::FillModeWinding));
  if (TdxGPResourceManager::GetPen(APenColor, APenStyle, APenWidth, hp))
    GdipCheck(GdipDrawPolygon(FHandle, static_cast<GpPen*>(hp->GetNativeHandle()), GdipCanvasPointsF(APoints),
                              GdipCanvasCount(APoints.size())));
}

void TdxGPCanvas::Polygon(const std::vector<TPoint>& APoints, TColor APenColor, TColor ABrushColor,
                          float APenWidth, TPenStyle APenStyle, uint8_t APenColorAlpha,
                          uint8_t ABrushColorAlpha) {
  Polygon(APoints, dxColorToAlphaColor(APenColor, APenColorAlpha),
          dxColorToAlphaColor(ABrushColor, ABrushColorAlpha), APenWidth, APenStyle);
}

void TdxGPCanvas::Curve(const std::vector<TPoint>& APoints, TdxAlphaColor APenColor, float APenWidth,
                        TPenStyle APenStyle) {
  IdxGPHandle h;
  if (GpPen* pen = CachedPen(APenColor, APenStyle, APenWidth, h))
    GdipCheck(GdipDrawCurveI(FHandle, pen, GdipCanvasPointsI(APoints), GdipCanvasCount(APoints.size())));
}

void TdxGPCanvas::Curve(const std::vector<TPoint>& APoints, TColor APenColor, float APenWidth,
                        TPenStyle APenStyle, uint8_t APenColorAlpha) {
  Curve(APoints, dxColorToAlphaColor(APenColor, APenColorAlpha), APenWidth, APenStyle);
}

void TdxGPCanvas::Curve(const std::vector<TdxPointF>& APoints, TColor APenColor, float APenWidth,
                        TPenStyle APenStyle, uint8_t APenColorAlpha) {
  IdxGPHandle h;
  if (GpPen* pen = CachedPen(dxColorToAlphaColor(APenColor, APenColorAlpha), APenStyle, APenWidth, h))
    GdipCheck(GdipDrawCurve(FHandle, pen, GdipCanvasPointsF(APoints), GdipCanvasCount(APoints.size())));
}

void TdxGPCanvas::Arc(const TRect& R, float AStartAngle, float ASweepAngle, TColor APenColor, float APenWidth,
                      TPenStyle APenStyle, uint8_t APenColorAlpha) {
  Arc(R, AStartAngle, ASweepAngle, dxColorToAlphaColor(APenColor, APenColorAlpha), APenWidth, APenStyle);
}

void TdxGPCanvas::Arc(const TRect& R, float AStartAngle, float ASweepAngle, TdxAlphaColor APenColor,
                      float APenWidth, TPenStyle APenStyle) {
  IdxGPHandle h;
  const TRect r = GdipCanvasCheckDestRect(R);
  if (GpPen* pen = CachedPen(APenColor, APenStyle, APenWidth, h))
    GdipCheck(GdipDrawArcI(FHandle, pen, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top, -AStartAngle,
                           -ASweepAngle));
}

void TdxGPCanvas::Ellipse(const TRect& R, TdxGPPen* APen, TdxGPCustomBrush* ABrush) {
  const TRect r = GdipCanvasCheckDestRect(R);
  if (ABrush) {
    ABrush->SetTargetRect(r);
    GdipCheck(
        GdipFillEllipseI(FHandle, ABrush->NativeHandle(), r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top));
  }
  if (APen) {
    APen->SetTargetRect(r);
    GdipCheck(
        GdipDrawEllipseI(FHandle, APen->NativeHandle(), r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top));
  }
}

void TdxGPCanvas::Ellipse(const TdxRectF& R, TdxGPPen* APen, TdxGPCustomBrush* ABrush) {
  if (ABrush) {
    ABrush->SetTargetRect(R);
    GdipCheck(GdipFillEllipse(FHandle, ABrush->NativeHandle(), R.Left, R.Top, R.Width(), R.Height()));
  }
  if (APen) {
    APen->SetTargetRect(R);
    GdipCheck(GdipDrawEllipse(FHandle, APen->NativeHandle(), R.Left, R.Top, R.Width(), R.Height()));
  }
}

void TdxGPCanvas::Ellipse(const TRect& R, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor, float APenWidth,
                          TPenStyle APenStyle) {
  const TRect r = GdipCanvasCheckDestRect(R);
  IdxGPHandle hb, hp;
  if (GpBrush* brush = CachedBrush(ABrushColor, hb))
    GdipCheck(GdipFillEllipseI(FHandle, brush, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top));
  if (GpPen* pen = CachedPen(APenColor, APenStyle, APenWidth, hp))
    GdipCheck(GdipDrawEllipseI(FHandle, pen, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top));
}

void TdxGPCanvas::Ellipse(const TdxRectF& R, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor,
                          float APenWidth, TPenStyle APenStyle) {
  IdxGPHandle hb, hp;
  if (GpBrush* brush = CachedBrush(ABrushColor, hb))
    GdipCheck(GdipFillEllipse(FHandle, brush, R.Left, R.Top, R.Width(), R.Height()));
  if (GpPen* pen = CachedPen(APenColor, APenStyle, APenWidth, hp))
    GdipCheck(GdipDrawEllipse(FHandle, pen, R.Left, R.Top, R.Width(), R.Height()));
}

void TdxGPCanvas::Ellipse(const TRect& R, TColor APenColor, TColor ABrushColor, float APenWidth,
                          TPenStyle APenStyle, uint8_t APenColorAlpha, uint8_t ABrushColorAlpha) {
  Ellipse(R, dxColorToAlphaColor(APenColor, APenColorAlpha),
          dxColorToAlphaColor(ABrushColor, ABrushColorAlpha), APenWidth, APenStyle);
}

void TdxGPCanvas::Pie(const TRect& R, float AStartAngle, float ASweepAngle, TdxAlphaColor APenColor,
                      TdxAlphaColor ABrushColor, float APenWidth, TPenStyle APenStyle) {
  const TRect r = GdipCanvasCheckDestRect(R);
  IdxGPHandle hb, hp;
  if (GpBrush* brush = CachedBrush(ABrushColor, hb))
    GdipCheck(GdipFillPieI(FHandle, brush, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top, -AStartAngle,
                           -ASweepAngle));
  if (GpPen* pen = CachedPen(APenColor, APenStyle, APenWidth, hp))
    GdipCheck(GdipDrawPieI(FHandle, pen, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top, -AStartAngle,
                           -ASweepAngle));
}

void TdxGPCanvas::Pie(const TdxRectF& R, float AStartAngle, float ASweepAngle, TdxAlphaColor APenColor,
                      TdxAlphaColor ABrushColor, float APenWidth, TPenStyle APenStyle) {
  IdxGPHandle hb, hp;
  if (GpBrush* brush = CachedBrush(ABrushColor, hb))
    GdipCheck(GdipFillPie(FHandle, brush, R.Left, R.Top, R.Width(), R.Height(), -AStartAngle, -ASweepAngle));
  if (GpPen* pen = CachedPen(APenColor, APenStyle, APenWidth, hp))
    GdipCheck(GdipDrawPie(FHandle, pen, R.Left, R.Top, R.Width(), R.Height(), -AStartAngle, -ASweepAngle));
}

void TdxGPCanvas::Pie(const TRect& R, float AStartAngle, float ASweepAngle, TColor APenColor,
                      TColor ABrushColor, float APenWidth, TPenStyle APenStyle, uint8_t APenColorAlpha,
                      uint8_t ABrushColorAlpha) {
  Pie(R, AStartAngle, ASweepAngle, dxColorToAlphaColor(APenColor, APenColorAlpha),
      dxColorToAlphaColor(ABrushColor, ABrushColorAlpha), APenWidth, APenStyle);
}

void TdxGPCanvas::Rectangle(const TRect& R, TdxGPPen* APen, TdxGPCustomBrush* ABrush) {
  const TRect r = GdipCanvasCheckDestRect(R);
  if (ABrush) {
    ABrush->SetTargetRect(r);
    GdipCheck(GdipFillRectangleI(FHandle, ABrush->NativeHandle(), r.Left, r.Top, r.Right - r.Left,
                                 r.Bottom - r.Top));
  }
  if (APen) {
    APen->SetTargetRect(r);
    GdipCheck(
        GdipDrawRectangleI(FHandle, APen->NativeHandle(), r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top));
  }
}

void TdxGPCanvas::Rectangle(const TdxRectF& R, TdxGPPen* APen, TdxGPCustomBrush* ABrush) {
  if (ABrush) {
    ABrush->SetTargetRect(R);
    GdipCheck(GdipFillRectangle(FHandle, ABrush->NativeHandle(), R.Left, R.Top, R.Width(), R.Height()));
  }
  if (APen) {
    APen->SetTargetRect(R);
    GdipCheck(GdipDrawRectangle(FHandle, APen->NativeHandle(), R.Left, R.Top, R.Width(), R.Height()));
  }
}

void TdxGPCanvas::Rectangle(const TRect& R, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor,
                            float APenWidth, TPenStyle APenStyle) {
  const TRect r = GdipCanvasCheckDestRect(R);
  IdxGPHandle hb, hp;
  if (GpBrush* brush = CachedBrush(ABrushColor, hb))
    GdipCheck(GdipFillRectangleI(FHandle, brush, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top));
  if (GpPen* pen = CachedPen(APenColor, APenStyle, APenWidth, hp))
    GdipCheck(GdipDrawRectangleI(FHandle, pen, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top));
}

void TdxGPCanvas::Rectangle(const TdxRectF& R, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor,
                            float APenWidth, TPenStyle APenStyle) {
  IdxGPHandle hb, hp;
  if (GpBrush* brush = CachedBrush(ABrushColor, hb))
    GdipCheck(GdipFillRectangle(FHandle, brush, R.Left, R.Top, R.Width(), R.Height()));
  if (GpPen* pen = CachedPen(APenColor, APenStyle, APenWidth, hp))
    GdipCheck(GdipDrawRectangle(FHandle, pen, R.Left, R.Top, R.Width(), R.Height()));
}

void TdxGPCanvas::Rectangle(const TRect& R, TColor APenColor, TColor ABrushColor, float APenWidth,
                            TPenStyle APenStyle, uint8_t APenColorAlpha, uint8_t ABrushColorAlpha) {
  Rectangle(R, dxColorToAlphaColor(APenColor, APenColorAlpha),
            dxColorToAlphaColor(ABrushColor, ABrushColorAlpha), APenWidth, APenStyle);
}

void TdxGPCanvas::FillRectangle(const TRect& R, TdxGPCustomBrush* ABrush) {
  if (!ABrush) return;
  ABrush->SetTargetRect(R);
  GdipCheck(
      GdipFillRectangleI(FHandle, ABrush->NativeHandle(), R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top));
}

void TdxGPCanvas::FillRectangle(const TdxRectF& R, TdxGPCustomBrush* ABrush) {
  if (!ABrush) return;
  ABrush->SetTargetRect(R);
  GdipCheck(GdipFillRectangle(FHandle, ABrush->NativeHandle(), R.Left, R.Top, R.Width(), R.Height()));
}

void TdxGPCanvas::FillRectangle(const TRect& R, TdxAlphaColor AColor) {
  IdxGPHandle h;
  if (GpBrush* brush = CachedBrush(AColor, h))
    GdipCheck(GdipFillRectangleI(FHandle, brush, R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top));
}

void TdxGPCanvas::FillRectangle(const TdxRectF& R, TdxAlphaColor AColor) {
  IdxGPHandle h;
  if (GpBrush* brush = CachedBrush(AColor, h))
    GdipCheck(GdipFillRectangle(FHandle, brush, R.Left, R.Top, R.Width(), R.Height()));
}

void TdxGPCanvas::FillRectangleByGradient(const TRect& R, TdxAlphaColor AColor1, TdxAlphaColor AColor2,
                                          gdiplus::LinearGradientMode AMode) {
  if (AColor1 == AColor2 || AColor2 == 0x00010203) {
    FillRectangle(R, AColor1);
    return;
  }
  const TdxGpRect area{R.Left - 1, R.Top - 1, R.Right - R.Left + 2, R.Bottom - R.Top + 2};
  gdiplus::GpLineGradient* brush = nullptr;
  GdipCheck(GdipCreateLineBrushFromRectI(area.Gp(), AColor1, AColor2, AMode, gdiplus::WrapModeTile, &brush));
  const Status s = GdipFillRectangleI(FHandle, brush, R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
  GdipDeleteBrush(brush);
  GdipCheck(s);
}

void TdxGPCanvas::RoundRect(const TRect& R, TdxGPPen* APen, TdxGPCustomBrush* ABrush, int32_t ARadiusX,
                            int32_t ARadiusY) {
  TdxGPPath path;
  path.AddRoundRect(GdipCanvasCheckDestRect(R), ARadiusX, ARadiusY);
  Path(&path, APen, ABrush);
}

void TdxGPCanvas::RoundRect(const TRect& R, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor,
                            int32_t ARadiusX, int32_t ARadiusY, float APenWidth) {
  TdxGPPath path;
  path.AddRoundRect(GdipCanvasCheckDestRect(R), ARadiusX, ARadiusY);
  Path(&path, APenColor, ABrushColor, APenWidth, psSolid);
}

void TdxGPCanvas::RoundRect(const TRect& R, TColor APenColor, TColor ABrushColor, int32_t ARadiusX,
                            int32_t ARadiusY, float APenWidth, uint8_t APenColorAlpha,
                            uint8_t ABrushColorAlpha) {
  RoundRect(R, dxColorToAlphaColor(APenColor, APenColorAlpha),
            dxColorToAlphaColor(ABrushColor, ABrushColorAlpha), ARadiusX, ARadiusY, APenWidth);
}

void TdxGPCanvas::Path(TdxGPPath* APath, TdxGPPen* APen, TdxGPCustomBrush* ABrush) {
  if (ABrush) {
    ABrush->SetTargetRect(APath->GetBoundsF());
    GdipCheck(GdipFillPath(FHandle, ABrush->NativeHandle(), APath->Handle()));
  }
  if (APen && !APen->IsEmpty()) {
    APen->SetTargetRect(APath->GetBoundsF());
    GdipCheck(GdipDrawPath(FHandle, APen->NativeHandle(), APath->Handle()));
  }
}

void TdxGPCanvas::Path(TdxGPPath* APath, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor, float APenWidth,
                       TPenStyle APenStyle) {
  IdxGPHandle hb, hp;
  if (GpBrush* brush = CachedBrush(ABrushColor, hb)) GdipCheck(GdipFillPath(FHandle, brush, APath->Handle()));
  if (GpPen* pen = CachedPen(APenColor, APenStyle, APenWidth, hp))
    GdipCheck(GdipDrawPath(FHandle, pen, APath->Handle()));
}

void TdxGPCanvas::Path(TdxGPPath* APath, TColor APenColor, TColor ABrushColor, float APenWidth,
                       TPenStyle APenStyle, uint8_t APenColorAlpha, uint8_t ABrushColorAlpha) {
  Path(APath, dxColorToAlphaColor(APenColor, APenColorAlpha),
       dxColorToAlphaColor(ABrushColor, ABrushColorAlpha), APenWidth, APenStyle);
}

void TdxGPCanvas::Region(TdxGPRegion* ARegion, TdxAlphaColor, TdxAlphaColor ABrushColor) {
  IdxGPHandle h;
  if (GpBrush* brush = CachedBrush(ABrushColor, h))
    GdipCheck(GdipFillRegion(FHandle, brush, ARegion->Handle()));
}

// ---- Text ----------------------------------------------------------------------------------

namespace {

const WCHAR* GdipCanvasChars(const String& S) {
  return reinterpret_cast<const WCHAR*>(S.c_str());
}

}  // namespace

void TdxGPCanvas::DrawString(const String& S, TdxGPFont* AFont, TdxGPStringFormat* AFormat,
                             const TdxRectF& ARect, TdxGPCustomBrush* ABrush) {
  if (!ABrush || !AFont) throw EdxGdipException(gdiplus::InvalidParameter);
  if (S.empty()) return;
  const TdxGpRectF layout = TdxGpRectF::FromRectF(ARect);
  GdipCheck(GdipDrawString(FHandle, GdipCanvasChars(S), static_cast<INT>(S.size()), AFont->NativeFont(),
                           layout.Gp(), AFormat ? AFormat->Handle() : nullptr, ABrush->NativeHandle()));
}

void TdxGPCanvas::DrawString(const String& S, TdxGPFont* AFont, TdxGPCustomBrush* ABrush, float X, float Y) {
  DrawString(S, AFont, ABrush, TdxPointF(X, Y));
}

void TdxGPCanvas::DrawString(const String& S, TdxGPFont* AFont, TdxGPCustomBrush* ABrush,
                             const TdxPointF& APoint, TdxGPStringFormat* AFormat) {
  DrawString(S, AFont, AFormat, TdxRectF(APoint.X, APoint.Y, APoint.X, APoint.Y), ABrush);
}

void TdxGPCanvas::DrawString(const String& S, TdxGPFont* AFont, const TdxRectF& ARect,
                             TdxGPCustomBrush* ABrush) {
  if (ARect.IsEmpty()) return;
  DrawString(S, AFont, nullptr, ARect, ABrush);
}

TdxSizeF TdxGPCanvas::MeasureString(const String& AText, TdxGPFont* AFont, const TdxGpRectF& ALayoutRect,
                                    TdxGPStringFormat* AFormat, int32_t& ACharactersFitted,
                                    int32_t& ALinesFilled) {
  ACharactersFitted = 0;
  ALinesFilled = 0;
  if (AText.empty()) return TdxSizeF(0, 0);
  if (!AFont) throw EdxGdipException(gdiplus::InvalidParameter);
  gdiplus::GpRectF box{};
  INT fitted = 0, lines = 0;
  GdipCheck(GdipMeasureString(FHandle, GdipCanvasChars(AText), static_cast<INT>(AText.size()),
                              AFont->NativeFont(), ALayoutRect.Gp(), AFormat ? AFormat->Handle() : nullptr,
                              &box, &fitted, &lines));
  ACharactersFitted = fitted;
  ALinesFilled = lines;
  return TdxSizeF(box.Width, box.Height);
}

TdxSizeF TdxGPCanvas::MeasureString(const String& AText, TdxGPFont* AFont, const TdxSizeF& ALayoutArea,
                                    TdxGPStringFormat* AFormat, int32_t& ACharactersFitted,
                                    int32_t& ALinesFilled) {
  return MeasureString(AText, AFont, MakeRect(0.f, 0.f, ALayoutArea.cx, ALayoutArea.cy), AFormat,
                       ACharactersFitted, ALinesFilled);
}

TdxSizeF TdxGPCanvas::MeasureString(const String& AText, TdxGPFont* AFont, const TdxSizeF& ALayoutArea,
                                    TdxGPStringFormat* AFormat) {
  int32_t fitted, lines;
  return MeasureString(AText, AFont, ALayoutArea, AFormat, fitted, lines);
}

TdxSizeF TdxGPCanvas::MeasureString(const String& AText, TdxGPFont* AFont, const TdxPointF& AOrigin,
                                    TdxGPStringFormat* AFormat) {
  int32_t fitted, lines;
  return MeasureString(AText, AFont, MakeRect(AOrigin.X, AOrigin.Y, 0.f, 0.f), AFormat, fitted, lines);
}

TdxSizeF TdxGPCanvas::MeasureString(const String& AText, TdxGPFont* AFont) {
  return MeasureString(AText, AFont, TdxSizeF(0, 0));
}

TdxSizeF TdxGPCanvas::MeasureString(const String& AText, TdxGPFont* AFont, double AWidth,
                                    TdxGPStringFormat* AFormat) {
  return MeasureString(AText, AFont, TdxSizeF(static_cast<float>(AWidth), 1000000.f), AFormat);
}

std::vector<std::unique_ptr<TdxGPRegion>> TdxGPCanvas::MeasureCharacterRanges(const String& AText,
                                                                              TdxGPFont* AFont,
                                                                              TdxGPStringFormat* AFormat,
                                                                              const TdxRectF& ALayoutRect) {
  std::vector<std::unique_ptr<TdxGPRegion>> result;
  if (AText.empty()) return result;
  if (!AFont) throw EdxGdipException(gdiplus::InvalidParameter);
  const int32_t count = AFormat ? AFormat->MeasurableCharacterRangeCount() : 0;
  // No ranges, nothing to measure (GDI+ would refuse the nil format).
  if (count == 0) return result;
  std::vector<GpRegion*> handles;
  for (int32_t i = 0; i < count; ++i) {
    result.push_back(std::make_unique<TdxGPRegion>());
    handles.push_back(result.back()->Handle());
  }
  const TdxGpRectF layout = TdxGpRectF::FromRectF(ALayoutRect);
  GdipCheck(GdipMeasureCharacterRanges(FHandle, GdipCanvasChars(AText), static_cast<INT>(AText.size()),
                                       AFont->NativeFont(), *layout.Gp(),
                                       AFormat ? AFormat->Handle() : nullptr, count, handles.data()));
  return result;
}

// ---- Paint canvases ------------------------------------------------------------------------

TdxGPCustomPaintCanvas::~TdxGPCustomPaintCanvas() {
  // A canvas freed while painting leaves neither the graphics nor the buffer behind.
  while (FPaintDepth > 0) EndPaint();
}

void TdxGPCustomPaintCanvas::BeginPaint(HDC DC, const TRect& R) {
  FLock.lock();
  SaveState();
  ++FPaintDepth;
  try {
    FDrawRect = R;
    FDrawDC = DC;
    FHandle = nullptr;
    FBuffer = nullptr;
    HDC target = DC;
    FIsLowColorsMode = dxGpIsDoubleBufferedNeeded(DC);
    if (FIsLowColorsMode) {
      FBuffer = new TBitmap;
      FBuffer->SetPixelFormat(pf32bit);
      FBuffer->SetSize(R.Right - R.Left + 1, R.Bottom - R.Top + 1);
      FBuffer->Canvas()->Lock();
      HDC bufferDC = FBuffer->Canvas()->Handle();
      BitBlt(bufferDC, 0, 0, FBuffer->Width(), FBuffer->Height(), DC, R.Left, R.Top, SRCCOPY);
      SetWindowOrgEx(bufferDC, R.Left, R.Top, nullptr);
      target = bufferDC;
    }
    CreateHandle(target);
  } catch (...) {
    if (FBuffer) {
      FBuffer->Canvas()->Unlock();
      delete FBuffer;
      FBuffer = nullptr;
    }
    --FPaintDepth;
    RestoreState();
    FLock.unlock();
    throw;
  }
}

void TdxGPCustomPaintCanvas::BeginPaint(GpGraphics* AHandle) {
  FLock.lock();
  SaveState();
  ++FPaintDepth;
  FDrawRect = TRect{};
  FDrawDC = nullptr;
  FHandle = AHandle;
  FBuffer = nullptr;
  FIsLowColorsMode = false;
}

void TdxGPCustomPaintCanvas::EndPaint() {
  if (FPaintDepth == 0) return;
  if (FDrawDC) FreeHandle();
  if (FBuffer) {
    HDC bufferDC = FBuffer->Canvas()->Handle();
    const int saved = SaveDC(FDrawDC);
    SetWindowOrgEx(bufferDC, 0, 0, nullptr);
    BitBlt(FDrawDC, FDrawRect.Left, FDrawRect.Top, FBuffer->Width(), FBuffer->Height(), bufferDC, 0, 0,
           SRCCOPY);
    RestoreDC(FDrawDC, saved);
    FBuffer->Canvas()->Unlock();
    delete FBuffer;
    FBuffer = nullptr;
  }
  FHandle = nullptr;
  --FPaintDepth;
  RestoreState();
  FLock.unlock();
}

void TdxGPPaintCanvas::SaveState() {
  if (static_cast<int32_t>(FSavedStates.size()) < FCounter + 1)
    FSavedStates.resize(std::max<size_t>(FCounter + 1, FSavedStates.size() + 4));
  FSavedStates[FCounter] = {FHandle, FBuffer, FDrawRect, FDrawDC, FIsLowColorsMode};
  ++FCounter;
}

void TdxGPPaintCanvas::RestoreState() {
  if (FCounter == 0) return;
  --FCounter;
  const TdxGPPaintCanvasState& s = FSavedStates[FCounter];
  FHandle = s.Handle;
  FBuffer = s.Buffer;
  FDrawRect = s.DrawRect;
  FDrawDC = s.DC;
  FIsLowColorsMode = s.IsLowColorsMode;
}

TdxGPPaintCanvas* dxGPPaintCanvas() {
  if (!GdipCanvasShared) GdipCanvasShared = std::make_unique<TdxGPPaintCanvas>();
  return GdipCanvasShared.get();
}

TdxGPCustomPaintCanvas* dxGpBeginPaint(HDC DC, const TRect& R) {
  auto canvas = std::make_unique<TdxGPPaintCanvas>();
  canvas->BeginPaint(DC, R);
  return canvas.release();
}

void dxGpEndPaint(TdxGPCustomPaintCanvas*& ACanvas) {
  if (!ACanvas) return;
  ACanvas->EndPaint();
  delete ACanvas;
  ACanvas = nullptr;
}

HWND dxWindowFromDC(HDC DC) {
  return GdipCanvasWindowFromDC ? GdipCanvasWindowFromDC(DC) : nullptr;
}

bool dxGpIsDoubleBufferedNeeded(HDC DC) {
  if (GdipCanvasGetDeviceCaps(DC, BITSPIXEL) <= 16 ||
      GdipCanvasGetDeviceCaps(DC, TECHNOLOGY) == DT_RASPRINTER || GdipCanvasGetDeviceCaps(DC, NUMCOLORS) > 1)
    return true;
  if (!IsWinVistaOrLater()) {
    HWND wnd = dxWindowFromDC(DC);
    return wnd && (GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
  }
  return false;
}

void dxGpSetDeviceCapsFunc(TdxGpDeviceCapsFunc AFunc) {
  GdipCanvasDeviceCaps = AFunc;
}

GpGraphics* dxGpGetCanvasHandle(TdxGPCanvas* ACanvas) {
  return ACanvas ? ACanvas->Handle() : nullptr;
}

void dxGpFillRect(HDC DC, const TRect& R, TColor AColor, uint8_t AAlpha) {
  TdxGPPaintCanvas* canvas = dxGPPaintCanvas();
  canvas->BeginPaint(DC, R);
  try {
    canvas->FillRectangle(R, dxColorToAlphaColor(AColor, AAlpha));
  } catch (...) {
    canvas->EndPaint();
    throw;
  }
  canvas->EndPaint();
}

bool dxGpIsRectVisible(GpGraphics* AGraphics, const TRect& R) {
  BOOL r = FALSE;
  GdipCheck(GdipIsVisibleRectI(AGraphics, R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top, &r));
  return r != FALSE;
}

bool dxGpIsRectVisible(GpGraphics* AGraphics, const TdxRectF& R) {
  BOOL r = FALSE;
  GdipCheck(GdipIsVisibleRect(AGraphics, R.Left, R.Top, R.Width(), R.Height(), &r));
  return r != FALSE;
}

void dxGpDrawImage(GpGraphics* AGraphics, const TdxRectF& ADestRect, const TdxRectF& ASourceRect,
                   GpImage* AImage, uint8_t AAlpha, GpImageAttributes* AImageAttributes) {
  if (!dxGpIsRectVisible(AGraphics, ADestRect)) return;
  float dw = ADestRect.Width(), dh = ADestRect.Height();
  float sw = ASourceRect.Width(), sh = ASourceRect.Height();
  if (dw < 1 || dh < 1 || sw < 1 || sh < 1) return;
  gdiplus::ImageType type{};
  GdipCheck(GdipGetImageType(AImage, &type));
  GpRegion* savedClip = nullptr;
  if (type == gdiplus::ImageTypeMetafile) {
    if (dw < 2 || dh < 2) {
      GdipCheck(GdipCreateRegion(&savedClip));
      GdipGetClip(AGraphics, savedClip);
      GdipSetClipRect(AGraphics, ADestRect.Left, ADestRect.Top, dw, dh, gdiplus::CombineModeIntersect);
      dw = std::max(dw, 2.f);
      dh = std::max(dh, 2.f);
    }
  } else {
    gdiplus::PixelOffsetMode mode{};
    GdipCheck(GdipGetPixelOffsetMode(AGraphics, &mode));
    if (mode != gdiplus::PixelOffsetModeHalf) {
      // Keeps GDI+ from blending the outermost source pixels with the outside when enlarging.
      if (sw > 1 && sw < dw) sw -= 1;
      if (sh > 1 && sh < dh) sh -= 1;
    }
  }
  if (!AImageAttributes && AAlpha != 255)
    AImageAttributes = dxGpGetImageAttributesHandle(dxGpGetAlphaBlendAttributes(AAlpha));
  const Status s =
      GdipDrawImageRectRect(AGraphics, AImage, ADestRect.Left, ADestRect.Top, dw, dh, ASourceRect.Left,
                            ASourceRect.Top, sw, sh, gdiplus::UnitPixel, AImageAttributes, nullptr, nullptr);
  if (savedClip) {
    GdipSetClipRegion(AGraphics, savedClip, gdiplus::CombineModeReplace);
    GdipDeleteRegion(savedClip);
  }
  GdipCheck(s);
}

void dxGpDrawImage(GpGraphics* AGraphics, const TRect& ADestRect, const TRect& ASourceRect, GpImage* AImage,
                   uint8_t AAlpha, GpImageAttributes* AImageAttributes) {
  dxGpDrawImage(AGraphics, TdxRectF(ADestRect), TdxRectF(ASourceRect), AImage, AAlpha, AImageAttributes);
}

namespace {

bool GdipCanvasTileByBrush(GpGraphics* AGraphics, const TRect& ADest, const TRect& ASource, GpImage* AImage) {
  const int32_t w = ADest.Right - ADest.Left, h = ADest.Bottom - ADest.Top;
  gdiplus::GpTexture* brush = nullptr;
  if (GdipCreateTexture2I(AImage, gdiplus::WrapModeTile, ASource.Left, ASource.Top,
                          ASource.Right - ASource.Left, ASource.Bottom - ASource.Top, &brush) != gdiplus::Ok)
    return false;
  GpBitmap* bitmap = nullptr;
  GpGraphics* g = nullptr;
  bool ok = GdipCreateBitmapFromScan0(w, h, 0, 0x000E200B, nullptr, &bitmap) == gdiplus::Ok &&
            GdipGetImageGraphicsContext(bitmap, &g) == gdiplus::Ok &&
            GdipFillRectangleI(g, brush, 0, 0, w, h) == gdiplus::Ok;
  if (g) GdipDeleteGraphics(g);
  if (ok)
    ok = GdipDrawImageRectRectI(AGraphics, bitmap, ADest.Left, ADest.Top, w, h, 0, 0, w, h,
                                gdiplus::UnitPixel, nullptr, nullptr, nullptr) == gdiplus::Ok;
  if (bitmap) GdipDisposeImage(bitmap);
  GdipDeleteBrush(brush);
  return ok;
}

}  // namespace

void dxGpTilePartEx(GpGraphics* AGraphics, const TRect& ADestRect, const TRect& ASourceRect, GpImage* AImage,
                    uint8_t AAlpha) {
  if (ASourceRect.IsEmpty() || !dxGpIsRectVisible(AGraphics, ADestRect)) return;
  const int32_t w = ADestRect.Right - ADestRect.Left, h = ADestRect.Bottom - ADestRect.Top;
  const int32_t sw = ASourceRect.Right - ASourceRect.Left, sh = ASourceRect.Bottom - ASourceRect.Top;
  if (AAlpha == 255 && (sw < w || sh < h) && GdipCanvasTileByBrush(AGraphics, ADestRect, ASourceRect, AImage))
    return;
  const int32_t columns = (w + sw - 1) / sw, rows = (h + sh - 1) / sh;
  for (int32_t r = 0; r < rows; ++r)
    for (int32_t c = 0; c < columns; ++c) {
      TRect dest{ADestRect.Left + c * sw, ADestRect.Top + r * sh, ADestRect.Left + (c + 1) * sw,
                 ADestRect.Top + (r + 1) * sh};
      TRect source = ASourceRect;
      if (dest.Right > ADestRect.Right) {
        source.Right -= dest.Right - ADestRect.Right;
        dest.Right = ADestRect.Right;
      }
      if (dest.Bottom > ADestRect.Bottom) {
        source.Bottom -= dest.Bottom - ADestRect.Bottom;
        dest.Bottom = ADestRect.Bottom;
      }
      dxGpDrawImage(AGraphics, dest, source, AImage, AAlpha, nullptr);
    }
}

void dxGpRightToLeftDependentDraw(TdxGPCanvas* ACanvas, const TRect& R, bool ARightToLeft,
                                  const std::function<void()>& AProc) {
  if (!ARightToLeft) {
    AProc();
    return;
  }
  ACanvas->SaveWorldTransform();
  gdiplus::PixelOffsetMode mode{};
  try {
    ACanvas->FlipWorldTransform(true, false, (R.Left + R.Right) / 2.f, 0.f);
    mode = ACanvas->PixelOffsetMode();
  } catch (...) {
    ACanvas->RestoreWorldTransform();
    throw;
  }
  auto restore = [&] {
    ACanvas->SetPixelOffsetMode(mode);
    ACanvas->RestoreWorldTransform();
  };
  try {
    ACanvas->SetPixelOffsetMode(gdiplus::PixelOffsetModeHalf);
    AProc();
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

namespace dxGDIPlusCanvas {

void Initialize() {
  GdipCanvasWindowFromDC = reinterpret_cast<GdipCanvasWindowFromDCFunc>(
      GetProcAddress(GetModuleHandleW(u"user32.dll"), "WindowFromDC"));
}

void Finalize() {
  GdipCanvasShared.reset();
  GdipCanvasWindowFromDC = nullptr;
}

}  // namespace dxGDIPlusCanvas

}  // namespace qd
