#pragma once
// The SVG renderers: one draws on a GDI+ canvas, the other collects shapes into one GDI+
// path that becomes a clip region; and the brush and pen that SVG paint sets up (with linear
// gradients along a line, optionally scaled to the shape's bounds).
#include <cstdint>
#include <memory>
#include <vector>

#include "ui/core/cxGeometryMatrix.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/graphics/dxGDIPlusClasses.h"

namespace qd {

// AColor with its alpha scaled by AOpacity (truncated); unchanged for an opacity of 1 or
// more and for transparent or empty colours.
TdxAlphaColor dxGpApplyOpacity(TdxAlphaColor AColor, float AOpacity);
// The text's size with the font, measured on the shared paint canvas.
TdxSizeF dxGpMeasureString(GpFont* AFont, const String& AText);

class TdxSVGBrush : public TdxGPBrush {
  QD_CLASS(TdxSVGBrush, TdxGPBrush)

 public:
  bool FGradientAutoScale = false;
  // Start point in Left/Top, end point in Right/Bottom.
  TdxRectF FGradientLine;

 protected:
  bool NeedRecreateHandleOnTargetRectChange() override;
  GpBrush* CreateGradientBrushHandle() override;
};

class TdxSVGPen : public TdxGPPen {
  QD_CLASS(TdxSVGPen, TdxGPPen)

 public:
  TdxSVGPen();
  TdxSVGBrush* GetBrush() { return static_cast<TdxSVGBrush*>(Brush()); }
  float DashOffset() const { return FDashOffset; }
  void SetDashOffset(float AValue);

 protected:
  void DoCreateHandle(void*& AHandle) override;

 private:
  float FDashOffset = 0;
};

class TdxSVGCustomRenderer {
 public:
  explicit TdxSVGCustomRenderer(IdxColorPalette* APalette);
  virtual ~TdxSVGCustomRenderer();
  TdxSVGCustomRenderer(const TdxSVGCustomRenderer&) = delete;
  TdxSVGCustomRenderer& operator=(const TdxSVGCustomRenderer&) = delete;

  virtual float TransformPenWidth(float AWidth) { return AWidth; }
  virtual void Ellipse(float ACenterX, float ACenterY, float ARadiusX, float ARadiusY) = 0;
  virtual void Line(float X1, float Y1, float X2, float Y2) = 0;
  virtual void Path(TdxGPPath* APath) = 0;
  virtual void Polygon(const std::vector<TdxPointF>& APoints) = 0;
  virtual void Polyline(const std::vector<TdxPointF>& APoints) = 0;
  virtual void Rectangle(float X, float Y, float AWidth, float AHeight) = 0;
  virtual void RoundRect(float X, float Y, float AWidth, float AHeight, float ARadiusX, float ARadiusY) = 0;
  virtual void TextOut(const String& AText, GpFont* AFont, float X, float Y) = 0;
  // Returns the current opacity and multiplies it by AOpacity.
  virtual float ModifyOpacity(float AOpacity);
  virtual void SetOpacity(float AOpacity);
  virtual void RestoreClipRegion() = 0;
  virtual void SaveClipRegion() = 0;
  virtual void SetClipRegion(TdxGPPath* APath, gdiplus::CombineMode AMode) = 0;
  virtual void ModifyWorldTransform(const XFORM& AMatrix) = 0;
  virtual void RestoreWorldTransform() = 0;
  virtual void SaveWorldTransform() = 0;

  TdxAlphaColor ApplyOpacity(TdxAlphaColor AColor) const;
  TdxSVGBrush* Brush() const { return FBrush.get(); }
  TdxSVGPen* Pen() const { return FPen.get(); }
  float Opacity() const { return FOpacity; }
  IdxColorPalette* Palette() const { return FPalette; }

  // Bounds of the work that references can multiply: the nesting of use elements being
  // drawn, and the number of elements drawn through them.
  int32_t FUseDepth = 0;
  int64_t FUseDrawCount = 0;

 protected:
  std::unique_ptr<TdxSVGBrush> FBrush;
  float FOpacity = 1;
  bool FOpacityAssigned = false;
  IdxColorPalette* FPalette;
  std::unique_ptr<TdxSVGPen> FPen;
};

class TdxSVGRenderer : public TdxSVGCustomRenderer {
 public:
  TdxSVGRenderer(TdxGPCanvas* ACanvas, IdxColorPalette* APalette);

  float TransformPenWidth(float AWidth) override;
  void Ellipse(float ACenterX, float ACenterY, float ARadiusX, float ARadiusY) override;
  void Line(float X1, float Y1, float X2, float Y2) override;
  void Path(TdxGPPath* APath) override;
  void Polygon(const std::vector<TdxPointF>& APoints) override;
  void Polyline(const std::vector<TdxPointF>& APoints) override;
  void Rectangle(float X, float Y, float AWidth, float AHeight) override;
  void RoundRect(float X, float Y, float AWidth, float AHeight, float ARadiusX, float ARadiusY) override;
  void TextOut(const String& AText, GpFont* AFont, float X, float Y) override;
  void RestoreClipRegion() override;
  void SaveClipRegion() override;
  void SetClipRegion(TdxGPPath* APath, gdiplus::CombineMode AMode) override;
  void ModifyWorldTransform(const XFORM& AMatrix) override;
  void RestoreWorldTransform() override;
  void SaveWorldTransform() override;

  TdxGPCanvas* Canvas() const { return FCanvas; }

 private:
  TdxGPPen* PenOrNil();
  TdxGPCustomBrush* BrushOrNil();

  TdxGPCanvas* FCanvas;
};

// Collects every shape, in the world transform in force when it is added, into one path.
class TdxSVGRendererClipPath : public TdxSVGCustomRenderer {
 public:
  TdxSVGRendererClipPath();

  void Ellipse(float ACenterX, float ACenterY, float ARadiusX, float ARadiusY) override;
  void Line(float X1, float Y1, float X2, float Y2) override;
  void Path(TdxGPPath* APath) override;
  void Polygon(const std::vector<TdxPointF>& APoints) override;
  void Polyline(const std::vector<TdxPointF>& APoints) override;
  void Rectangle(float X, float Y, float AWidth, float AHeight) override;
  void RoundRect(float X, float Y, float AWidth, float AHeight, float ARadiusX, float ARadiusY) override;
  void TextOut(const String& AText, GpFont* AFont, float X, float Y) override;
  void RestoreClipRegion() override {}
  void SaveClipRegion() override {}
  void SetClipRegion(TdxGPPath* APath, gdiplus::CombineMode AMode) override {}
  void ModifyWorldTransform(const XFORM& AMatrix) override;
  void RestoreWorldTransform() override;
  void SaveWorldTransform() override;

  TdxGPPath* ClipPath() const { return FClipPath.get(); }

 private:
  // Adds APath, transformed by the current transform, to the collected path.
  void AddTransformed(TdxGPPath& APath);

  std::unique_ptr<TdxGPPath> FClipPath;
  TdxMatrix FTransform;
  std::vector<XFORM> FSavedTransforms;
};

}  // namespace qd
