#pragma once
// Object wrappers over GDI+ matrices, brushes and pens (handles made on demand, settings pushed
// into live handles, changes announced through OnChange), and the caches of solid pens and
// brushes that the colour forms of the canvas draw with.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/geometry.h"
#include "platform/classes/lists.h"
#include "platform/forms/graphics.h"
#include "platform/os/gdi.h"
#include "ui/core/cxGeometry.h"
#include "ui/graphics/dxCoreGraphics.h"
#include "ui/graphics/dxGDIPlusAPI.h"

namespace qd {

class TdxGPCustomGraphicObject : public TdxGpBase {
  QD_CLASS(TdxGPCustomGraphicObject, TdxGpBase)

 public:
  // The handle, created on demand.
  void* Handle() {
    HandleNeeded();
    return FHandle;
  }
  bool HandleAllocated() const { return FHandle != nullptr; }
  void FreeHandle();
  virtual void Changed();
  virtual void Assign(TdxGPCustomGraphicObject* ASource) {}
  virtual void HandleNeeded();

  TNotifyEvent OnChange;

 protected:
  virtual void DoCreateHandle(void*& AHandle) = 0;
  virtual void DoFreeHandle(void* AHandle) = 0;
  virtual void DoHandleCreated() {}

  void* FHandle = nullptr;
  int32_t FChangeLockCount = 0;
};

// ---- Matrices ----------------------------------------------------------------------------

class TdxGPMatrix : public TdxGPCustomGraphicObject {
  QD_CLASS(TdxGPMatrix, TdxGPCustomGraphicObject)

 public:
  TdxGPMatrix() = default;
  TdxGPMatrix(float M11, float M12, float M21, float M22, float DX, float DY);
  explicit TdxGPMatrix(const XFORM& AXForm);
  ~TdxGPMatrix() override;
  static TdxGPMatrix* CreateFlip(bool AFlipHorizontally, bool AFlipVertically, float APivotPointX,
                                 float APivotPointY);
  static TdxGPMatrix* CreateFlip(bool AFlipHorizontally, bool AFlipVertically, const TdxPointF& APivotPoint);
  // nullptr for nullptr.
  static TdxGPMatrix* Clone(TdxGPMatrix* AMatrix);

  GpMatrix* NativeHandle() { return static_cast<GpMatrix*>(Handle()); }
  void Assign(TdxGPCustomGraphicObject* ASource) override;

  void GetElements(float& M11, float& M12, float& M21, float& M22, float& DX, float& DY);
  void SetElements(float M11, float M12, float M21, float M22, float DX, float DY);
  void Reset();
  void Invert();
  void Multiply(TdxGPMatrix* AMatrix, TdxGpMatrixOrder AMatrixOrder = gdiplus::MatrixOrderPrepend);
  void Rotate(float AAngle, TdxGpMatrixOrder AMatrixOrder = gdiplus::MatrixOrderPrepend);
  void Rotate(float AAngle, const TdxPointF& APivotPoint,
              TdxGpMatrixOrder AMatrixOrder = gdiplus::MatrixOrderPrepend);
  void Scale(float AScaleX, float AScaleY, TdxGpMatrixOrder AMatrixOrder = gdiplus::MatrixOrderPrepend);
  void Scale(const TdxPointF& AScale, TdxGpMatrixOrder AMatrixOrder = gdiplus::MatrixOrderPrepend);
  // Replaces the whole matrix by a scale about ACenter.
  void Scale(const TdxPointF& AScale, const TdxPointF& ACenter,
             TdxGpMatrixOrder AMatrixOrder = gdiplus::MatrixOrderPrepend);
  void Shear(float X, float Y, TdxGpMatrixOrder AMatrixOrder = gdiplus::MatrixOrderPrepend);
  void Shear(const TdxPointF& AShear, TdxGpMatrixOrder AMatrixOrder = gdiplus::MatrixOrderPrepend);
  void Translate(float AOffsetX, float AOffsetY, TdxGpMatrixOrder AMatrixOrder = gdiplus::MatrixOrderPrepend);
  void Translate(const TdxPointF& AOffset, TdxGpMatrixOrder AMatrixOrder = gdiplus::MatrixOrderPrepend);
  void Flip(bool AFlipHorizontally, bool AFlipVertically, const TdxPointF& APivotPoint);

  TdxPointF TransformPoint(const TdxPointF& P);
  TPoint TransformPoint(const TPoint& P);
  void TransformPoints(std::vector<TPoint>& APoints);
  void TransformPoints(std::vector<TdxPointF>& APoints);
  void TransformPointsI(TPoint* APoints, int32_t ACount);
  TdxRectF TransformRect(const TdxRectF& R);
  TRect TransformRect(const TRect& R);
  TdxRectF GetBoundingRectangle(const TdxRectF& R);

  bool IsIdentity();
  bool IsInvertible();
  float OffsetX();
  float OffsetY();

 protected:
  void DoCreateHandle(void*& AHandle) override;
  void DoFreeHandle(void* AHandle) override;
};

// ---- Brushes -----------------------------------------------------------------------------

// Gradient stops, kept sorted by offset.
class TdxGPBrushGradientPoints : public TdxGpBase {
  QD_CLASS(TdxGPBrushGradientPoints, TdxGpBase)

 public:
  TdxGPBrushGradientPoints();

  int32_t Add(TdxAlphaColor AColor, float AOffset);
  void Assign(TdxGPBrushGradientPoints* ASource);
  void Clear() { SetCapacity(0); }
  void Delete(int32_t Index);
  void InvertOrder();
  int32_t Count() const { return FCount; }
  int32_t Capacity() const { return FCapacity; }
  void SetCapacity(int32_t AValue);
  TdxAlphaColor Colors(int32_t Index) const;
  void SetColors(int32_t Index, TdxAlphaColor AValue);
  float Offsets(int32_t Index) const;
  void SetOffsets(int32_t Index, float AValue);

  // The stops handed to GDI+: padded with transparent stops at 0 and 1 where the stops do not
  // reach the ends.
  void CalculateParams(const TdxAlphaColor*& AColors, const float*& AOffsets, int32_t& ACount);

  TNotifyEvent OnChange;

 private:
  void CheckIndex(int32_t Index) const;
  void Changed();

  std::vector<TdxAlphaColor> FColors;
  std::vector<float> FOffsets;
  int32_t FCount = 0;
  int32_t FCapacity = 0;
};

enum TdxGPBrushGradientMode : uint8_t {
  gpbgmHorizontal,
  gpbgmVertical,
  gpbgmForwardDiagonal,
  gpbgmBackwardDiagonal
};
enum TdxGPBrushStyle : uint8_t { gpbsSolid, gpbsGradient, gpbsTexture, gpbsClear };

class TdxGPCustomBrush : public TdxGPCustomGraphicObject {
  QD_CLASS(TdxGPCustomBrush, TdxGPCustomGraphicObject)

 public:
  ~TdxGPCustomBrush() override;
  GpBrush* NativeHandle() { return static_cast<GpBrush*>(Handle()); }
  void Assign(TdxGPCustomGraphicObject* ASource) override;
  void SetTargetRect(const TRect& R);
  void SetTargetRect(const TdxRectF& R);
  void SetTargetRect(const TdxGpRect& R);
  void SetTargetRect(const TdxGpRectF& R);
  // Stored inflated by 1 on every side.
  const TdxGpRectF& TargetRect() const { return FTargetRect; }

 protected:
  void DoFreeHandle(void* AHandle) override;
  virtual void DoTargetRectChanged() {}
  virtual bool NeedRecreateHandleOnTargetRectChange() { return false; }

  TdxGpRectF FTargetRect;
};

class TdxGPBrush : public TdxGPCustomBrush {
  QD_CLASS(TdxGPBrush, TdxGPCustomBrush)

 public:
  TdxGPBrush();
  ~TdxGPBrush() override;
  void Assign(TdxGPCustomGraphicObject* ASource) override;

  TdxAlphaColor Color() const { return FColor; }
  void SetColor(TdxAlphaColor AValue);
  TdxGPBrushGradientMode GradientMode() const { return FGradientMode; }
  void SetGradientMode(TdxGPBrushGradientMode AValue);
  TdxGPBrushGradientPoints* GradientPoints() { return FGradientPoints.get(); }
  TdxGPBrushStyle Style() const { return FStyle; }
  void SetStyle(TdxGPBrushStyle AValue);
  TdxGPMatrix* TextureTransform() { return FTextureTransform.get(); }
  bool IsEmpty() { return GetIsEmpty(); }

  TNotifyEvent OnHandleCreated;

 protected:
  void DoCreateHandle(void*& AHandle) override;
  void DoHandleCreated() override;
  void DoTargetRectChanged() override;
  bool NeedRecreateHandleOnTargetRectChange() override { return FStyle == gpbsGradient; }
  virtual GpBrush* CreateEmptyBrushHandle();
  virtual GpBrush* CreateGradientBrushHandle();
  virtual GpBrush* CreateTextureBrushHandle();
  virtual bool GetIsEmpty();

 private:
  void GradientPointsChangeHandler(TObject* Sender);
  void TextureTransformChangeHandler(TObject* Sender);

  TdxAlphaColor FColor = 0;
  TdxGPBrushGradientMode FGradientMode = gpbgmHorizontal;
  std::unique_ptr<TdxGPBrushGradientPoints> FGradientPoints;
  TdxGPBrushStyle FStyle = gpbsSolid;
  std::unique_ptr<TdxGPMatrix> FTextureTransform;
};

// ---- Pens --------------------------------------------------------------------------------

enum TdxGPPenDashCapStyle : uint8_t { gpdcFlat, gpdcRound, gpdcTriangle };
enum TdxGPPenLineCapStyle : uint8_t { gpcsFlat, gpcsSquare, gpcsRound };
enum TdxGPPenStyle : uint8_t { gppsSolid, gppsDash, gppsDot, gppsDashDot, gppsDashDotDot };

inline constexpr gdiplus::DashStyle GpPenStyleToDashStyle[] = {
    gdiplus::DashStyleSolid, gdiplus::DashStyleDash, gdiplus::DashStyleDot, gdiplus::DashStyleDashDot,
    gdiplus::DashStyleDashDotDot};
inline constexpr gdiplus::LineCap PenLineStyleToGpLineCap[] = {gdiplus::LineCapFlat, gdiplus::LineCapSquare,
                                                               gdiplus::LineCapRound};
inline constexpr gdiplus::DashCap PenDashCapStyleToGpDashCap[] = {gdiplus::DashCapFlat, gdiplus::DashCapRound,
                                                                  gdiplus::DashCapTriangle};

class TdxGPPen : public TdxGPCustomGraphicObject {
  QD_CLASS(TdxGPPen, TdxGPCustomGraphicObject)

 public:
  TdxGPPen() : TdxGPPen(0, 1, gppsSolid, 1) {}
  TdxGPPen(TdxAlphaColor AColor, float AWidth, TdxGPPenStyle APenStyle = gppsSolid, float AScale = 1);
  ~TdxGPPen() override;

  GpPen* NativeHandle() { return static_cast<GpPen*>(Handle()); }
  void Assign(TdxGPCustomGraphicObject* ASource) override;
  void HandleNeeded() override;

  TdxGPBrush* Brush() { return FBrush.get(); }
  TdxGPPenStyle Style() const { return FStyle; }
  void SetStyle(TdxGPPenStyle AValue);
  float Width() const { return FWidth; }
  void SetWidth(float AValue);
  TdxGPPenDashCapStyle DashCapStyle() const { return FDashCapStyle; }
  void SetDashCapStyle(TdxGPPenDashCapStyle AValue);
  TdxGPPenLineCapStyle LineStartCapStyle() const { return FLineStartCapStyle; }
  void SetLineStartCapStyle(TdxGPPenLineCapStyle AValue);
  TdxGPPenLineCapStyle LineEndCapStyle() const { return FLineEndCapStyle; }
  void SetLineEndCapStyle(TdxGPPenLineCapStyle AValue);
  TdxGpLineJoin LineJoin() const { return FLineJoin; }
  void SetLineJoin(TdxGpLineJoin AValue);
  float MiterLimit() const { return FMiterLimit; }
  void SetMiterLimit(float AValue);
  bool IsEmpty() { return GetIsEmpty(); }
  // The dash pattern in multiples of the width; empty for a standard style.
  const std::vector<float>& DashArray() const { return FDashArray; }
  void SetDashArray(const std::vector<float>& AValues, float AScale = 1);
  void SetTargetRect(const TRect& R) { FBrush->SetTargetRect(R); }
  void SetTargetRect(const TdxRectF& R) { FBrush->SetTargetRect(R); }
  void SetTargetRect(const TdxGpRect& R) { FBrush->SetTargetRect(R); }

 protected:
  void DoCreateHandle(void*& AHandle) override;
  void DoFreeHandle(void* AHandle) override;
  virtual bool GetIsEmpty();

 private:
  void BrushChangeHandler(TObject* Sender);
  void ApplyDashes();

  std::unique_ptr<TdxGPBrush> FBrush;
  TdxGPPenDashCapStyle FDashCapStyle = gpdcFlat;
  TdxGPPenLineCapStyle FLineStartCapStyle = gpcsFlat;
  TdxGPPenLineCapStyle FLineEndCapStyle = gpcsFlat;
  TdxGpLineJoin FLineJoin = gdiplus::LineJoinMiter;
  float FMiterLimit = 10;
  TdxGPPenStyle FStyle = gppsSolid;
  float FWidth = 1;
  std::vector<float> FDashArray;
};

}  // namespace qd
