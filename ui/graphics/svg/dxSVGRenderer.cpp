#include "ui/graphics/svg/dxSVGRenderer.h"

#include <algorithm>
#include <cmath>

namespace qd {

TdxAlphaColor dxGpApplyOpacity(TdxAlphaColor AColor, float AOpacity) {
  if (AOpacity >= 1 || TdxAlphaColors::IsTransparentOrEmpty(AColor)) return AColor;
  const float opacity = std::isfinite(AOpacity) ? std::max(0.f, AOpacity) : 0.f;
  const auto alpha = static_cast<uint32_t>(std::trunc(opacity * dxGetAlpha(AColor)));
  return (AColor & 0x00FFFFFF) | (std::min<uint32_t>(alpha, 255) << 24);
}

TdxSizeF dxGpMeasureString(GpFont* AFont, const String& AText) {
  if (!AFont || AText.empty()) return {};
  // Measured at 96 DPI on a one-pixel image, like the screen.
  GpBitmap* bitmap = dxGpCreateBitmap(1, 1);
  GpGraphics* graphics = nullptr;
  gdiplus::GpRectF box{};
  const Status status = GdipGetImageGraphicsContext(bitmap, &graphics);
  if (status == gdiplus::Ok) {
    const gdiplus::GpRectF layout{0, 0, 0, 0};
    GdipMeasureString(graphics, AText.c_str(), static_cast<int32_t>(AText.size()), AFont, &layout, nullptr,
                      &box, nullptr, nullptr);
    GdipDeleteGraphics(graphics);
  }
  GdipDisposeImage(bitmap);
  return {box.Width, box.Height};
}

// ---- Brush and pen -------------------------------------------------------------------------

QD_IMPLEMENT_CLASS(TdxSVGBrush)

bool TdxSVGBrush::NeedRecreateHandleOnTargetRectChange() {
  return Style() == gpbsGradient && FGradientAutoScale;
}

GpBrush* TdxSVGBrush::CreateGradientBrushHandle() {
  if (GradientPoints()->Count() == 0) return CreateEmptyBrushHandle();
  gdiplus::GpPointF p1{FGradientLine.Left, FGradientLine.Top};
  gdiplus::GpPointF p2{FGradientLine.Right, FGradientLine.Bottom};
  if (FGradientAutoScale) {
    // The target rectangle is stored inflated by one pixel on each side.
    const TdxGpRectF r{FTargetRect.X + 1, FTargetRect.Y + 1, FTargetRect.Width - 2, FTargetRect.Height - 2};
    if (r.Width <= 0 || r.Height <= 0) return CreateEmptyBrushHandle();
    p1 = {r.X + p1.X * r.Width, r.Y + p1.Y * r.Height};
    p2 = {r.X + p2.X * r.Width, r.Y + p2.Y * r.Height};
  }
  if (p1.X == p2.X && p1.Y == p2.Y) return CreateEmptyBrushHandle();
  const TdxAlphaColor* colors;
  const float* offsets;
  int32_t count;
  GradientPoints()->CalculateParams(colors, offsets, count);
  gdiplus::GpLineGradient* brush = nullptr;
  GdipCheck(GdipCreateLineBrush(&p1, &p2, colors[0], colors[count - 1], gdiplus::WrapModeTileFlipX, &brush));
  const Status status = GdipSetLinePresetBlend(brush, colors, offsets, count);
  if (status != gdiplus::Ok) {
    GdipDeleteBrush(brush);
    GdipCheck(status);
  }
  return brush;
}

QD_IMPLEMENT_CLASS(TdxSVGPen)

TdxSVGPen::TdxSVGPen() : TdxGPPen(std::make_unique<TdxSVGBrush>()) {}

void TdxSVGPen::SetDashOffset(float AValue) {
  if (AValue == FDashOffset) return;
  FDashOffset = AValue;
  if (HandleAllocated()) GdipCheck(GdipSetPenDashOffset(static_cast<GpPen*>(FHandle), FDashOffset));
}

void TdxSVGPen::DoCreateHandle(void*& AHandle) {
  TdxGPPen::DoCreateHandle(AHandle);
  if (FDashOffset != 0) GdipCheck(GdipSetPenDashOffset(static_cast<GpPen*>(AHandle), FDashOffset));
}

// ---- TdxSVGCustomRenderer ------------------------------------------------------------------

TdxSVGCustomRenderer::TdxSVGCustomRenderer(IdxColorPalette* APalette)
    : FBrush(std::make_unique<TdxSVGBrush>()), FPalette(APalette), FPen(std::make_unique<TdxSVGPen>()) {}

TdxSVGCustomRenderer::~TdxSVGCustomRenderer() = default;

float TdxSVGCustomRenderer::ModifyOpacity(float AOpacity) {
  const float result = FOpacity;
  SetOpacity(FOpacity * AOpacity);
  return result;
}

void TdxSVGCustomRenderer::SetOpacity(float AOpacity) {
  FOpacity = AOpacity;
  FOpacityAssigned = !dxSameSingle(AOpacity, 1);
}

TdxAlphaColor TdxSVGCustomRenderer::ApplyOpacity(TdxAlphaColor AColor) const {
  return FOpacityAssigned ? dxGpApplyOpacity(AColor, FOpacity) : AColor;
}

// ---- TdxSVGRenderer ------------------------------------------------------------------------

TdxSVGRenderer::TdxSVGRenderer(TdxGPCanvas* ACanvas, IdxColorPalette* APalette)
    : TdxSVGCustomRenderer(APalette), FCanvas(ACanvas) {}

TdxGPPen* TdxSVGRenderer::PenOrNil() {
  return FPen->IsEmpty() ? nullptr : FPen.get();
}

TdxGPCustomBrush* TdxSVGRenderer::BrushOrNil() {
  return FBrush->IsEmpty() ? nullptr : FBrush.get();
}

float TdxSVGRenderer::TransformPenWidth(float AWidth) {
  if (!(AWidth > 0)) return AWidth;
  std::unique_ptr<TdxGPMatrix> m(FCanvas->GetWorldTransform());
  float m11, m12, m21, m22, dx, dy;
  m->GetElements(m11, m12, m21, m22, dx, dy);
  const double x = AWidth * m11 + AWidth * m21;
  const double y = AWidth * m12 + AWidth * m22;
  return static_cast<float>(std::sqrt(std::fabs(x * y)));
}

void TdxSVGRenderer::Ellipse(float ACenterX, float ACenterY, float ARadiusX, float ARadiusY) {
  FCanvas->Ellipse(
      TdxRectF(ACenterX - ARadiusX, ACenterY - ARadiusY, ACenterX + ARadiusX, ACenterY + ARadiusY),
      PenOrNil(), BrushOrNil());
}

void TdxSVGRenderer::Line(float X1, float Y1, float X2, float Y2) {
  if (TdxGPPen* pen = PenOrNil()) FCanvas->Line(X1, Y1, X2, Y2, pen);
}

void TdxSVGRenderer::Path(TdxGPPath* APath) {
  FCanvas->Path(APath, PenOrNil(), BrushOrNil());
}

void TdxSVGRenderer::Polygon(const std::vector<TdxPointF>& APoints) {
  if (APoints.empty()) return;
  FCanvas->Polygon(APoints, PenOrNil(), BrushOrNil());
}

void TdxSVGRenderer::Polyline(const std::vector<TdxPointF>& APoints) {
  if (APoints.empty()) return;
  FCanvas->Polyline(APoints, PenOrNil());
}

void TdxSVGRenderer::Rectangle(float X, float Y, float AWidth, float AHeight) {
  FCanvas->Rectangle(TdxRectF(X, Y, X + AWidth, Y + AHeight), PenOrNil(), BrushOrNil());
}

void TdxSVGRenderer::RoundRect(float X, float Y, float AWidth, float AHeight, float ARadiusX,
                               float ARadiusY) {
  TdxGPPath path;
  path.AddRoundRect(TdxRectF(X, Y, X + AWidth, Y + AHeight), ARadiusX, ARadiusY);
  Path(&path);
}

void TdxSVGRenderer::TextOut(const String& AText, GpFont* AFont, float X, float Y) {
  TdxGPCustomBrush* brush = BrushOrNil();
  if (!brush || AText.empty()) return;
  const TdxSizeF size = dxGpMeasureString(AFont, AText);
  brush->SetTargetRect(TdxRectF(X, Y, X + size.cx, Y + size.cy));
  const gdiplus::GpRectF layout{X, Y, 0, 0};
  GdipCheck(GdipDrawString(FCanvas->Handle(), AText.c_str(), static_cast<int32_t>(AText.size()), AFont,
                           &layout, nullptr, brush->NativeHandle()));
}

void TdxSVGRenderer::RestoreClipRegion() {
  FCanvas->RestoreClipRegion();
}

void TdxSVGRenderer::SaveClipRegion() {
  FCanvas->SaveClipRegion();
}

void TdxSVGRenderer::SetClipRegion(TdxGPPath* APath, gdiplus::CombineMode AMode) {
  FCanvas->SetClipPath(APath, AMode);
}

void TdxSVGRenderer::ModifyWorldTransform(const XFORM& AMatrix) {
  TdxGPMatrix matrix(AMatrix);
  FCanvas->ModifyWorldTransform(&matrix);
}

void TdxSVGRenderer::RestoreWorldTransform() {
  FCanvas->RestoreWorldTransform();
}

void TdxSVGRenderer::SaveWorldTransform() {
  FCanvas->SaveWorldTransform();
}

// ---- TdxSVGRendererClipPath ----------------------------------------------------------------

TdxSVGRendererClipPath::TdxSVGRendererClipPath()
    : TdxSVGCustomRenderer(nullptr), FClipPath(std::make_unique<TdxGPPath>()) {}

void TdxSVGRendererClipPath::AddTransformed(TdxGPPath& APath) {
  if (!FTransform.IsIdentity()) {
    TdxGPMatrix matrix(FTransform.XForm());
    APath.Transform(&matrix);
  }
  FClipPath->AddPath(&APath);
}

void TdxSVGRendererClipPath::Ellipse(float ACenterX, float ACenterY, float ARadiusX, float ARadiusY) {
  TdxGPPath path;
  path.AddEllipse(
      TdxRectF(ACenterX - ARadiusX, ACenterY - ARadiusY, ACenterX + ARadiusX, ACenterY + ARadiusY));
  AddTransformed(path);
}

void TdxSVGRendererClipPath::Line(float X1, float Y1, float X2, float Y2) {
  TdxGPPath path;
  path.AddLine(X1, Y1, X2, Y2);
  AddTransformed(path);
}

void TdxSVGRendererClipPath::Path(TdxGPPath* APath) {
  TdxGPPath path;
  path.AddPath(APath);
  path.SetFillMode(APath->FillMode());
  AddTransformed(path);
}

void TdxSVGRendererClipPath::Polygon(const std::vector<TdxPointF>& APoints) {
  if (APoints.empty()) return;
  TdxGPPath path;
  path.AddPolygon(APoints);
  AddTransformed(path);
}

void TdxSVGRendererClipPath::Polyline(const std::vector<TdxPointF>& APoints) {
  if (APoints.empty()) return;
  TdxGPPath path;
  path.AddPolyline(APoints);
  AddTransformed(path);
}

void TdxSVGRendererClipPath::Rectangle(float X, float Y, float AWidth, float AHeight) {
  TdxGPPath path;
  path.AddRect(TdxRectF(X, Y, X + AWidth, Y + AHeight));
  AddTransformed(path);
}

void TdxSVGRendererClipPath::RoundRect(float X, float Y, float AWidth, float AHeight, float ARadiusX,
                                       float ARadiusY) {
  TdxGPPath path;
  path.AddRoundRect(TdxRectF(X, Y, X + AWidth, Y + AHeight), ARadiusX, ARadiusY);
  AddTransformed(path);
}

void TdxSVGRendererClipPath::TextOut(const String& AText, GpFont* AFont, float X, float Y) {
  if (!AFont || AText.empty()) return;
  const TdxSizeF size = dxGpMeasureString(AFont, AText);
  GpFontFamily* family = nullptr;
  float emSize = 0;
  int32_t style = 0;
  if (GdipGetFamily(AFont, &family) != gdiplus::Ok) return;
  GdipGetFontSize(AFont, &emSize);
  GdipGetFontStyle(AFont, &style);
  TdxGPPath path;
  const gdiplus::GpRectF layout{X, Y, size.cx, size.cy};
  const Status status = GdipAddPathString(path.Handle(), AText.c_str(), static_cast<int32_t>(AText.size()),
                                          family, style, emSize, &layout, nullptr);
  GdipDeleteFontFamily(family);
  GdipCheck(status);
  AddTransformed(path);
}

void TdxSVGRendererClipPath::ModifyWorldTransform(const XFORM& AMatrix) {
  FTransform.Multiply(AMatrix, moPrepend);
}

void TdxSVGRendererClipPath::RestoreWorldTransform() {
  if (FSavedTransforms.empty()) return;
  FTransform.Assign(FSavedTransforms.back().eM11, FSavedTransforms.back().eM12, FSavedTransforms.back().eM21,
                    FSavedTransforms.back().eM22, FSavedTransforms.back().eDx, FSavedTransforms.back().eDy);
  FSavedTransforms.pop_back();
}

void TdxSVGRendererClipPath::SaveWorldTransform() {
  FSavedTransforms.push_back(FTransform.XForm());
}

}  // namespace qd
