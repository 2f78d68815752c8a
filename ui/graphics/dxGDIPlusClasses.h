#pragma once
// Object wrappers over GDI+ matrices, brushes and pens (handles made on demand, settings pushed
// into live handles, changes announced through OnChange), and the caches of solid pens and
// brushes that the colour forms of the canvas draw with.
#include <cmath>
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

class TdxGPImage;

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
  // The texture image: the brush keeps its own copy of the given GDI+ image (nullptr clears
  // it); textures repeat from the top-left corner of the target rectangle.
  // The brush's own copy of the picture it tiles; changes to it rebuild the brush.
  TdxGPImage* Texture() const { return FTexture.get(); }
  void SetTexture(TdxGPImage* AValue);
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
  void TextureChangeHandler(TObject* Sender);
  bool IsTextureEmpty() const;
  void ApplyTextureTransform(GpBrush* AHandle);

  TdxAlphaColor FColor = 0;
  TdxGPBrushGradientMode FGradientMode = gpbgmHorizontal;
  std::unique_ptr<TdxGPBrushGradientPoints> FGradientPoints;
  TdxGPBrushStyle FStyle = gpbsSolid;
  std::unique_ptr<TdxGPMatrix> FTextureTransform;
  std::unique_ptr<TdxGPImage> FTexture;
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
  // A solid pen of width 1 over a brush of a derived class.
  explicit TdxGPPen(std::unique_ptr<TdxGPBrush> ABrush);
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

namespace qd {

// ---- Cached pens and solid brushes -------------------------------------------------------

// A GDI+ handle shared between the cache and the callers drawing with it; deleted with the
// last reference.
class TdxGPHandle {
 public:
  explicit TdxGPHandle(void* AHandle) : FHandle(AHandle) {}
  virtual ~TdxGPHandle() = default;
  TdxGPHandle(const TdxGPHandle&) = delete;
  TdxGPHandle& operator=(const TdxGPHandle&) = delete;
  void* GetNativeHandle() const { return FHandle; }

 protected:
  void* FHandle;
};
using IdxGPHandle = std::shared_ptr<TdxGPHandle>;

class TdxGPPenHandle : public TdxGPHandle {
 public:
  using TdxGPHandle::TdxGPHandle;
  ~TdxGPPenHandle() override;
};

class TdxGPBrushHandle : public TdxGPHandle {
 public:
  using TdxGPHandle::TdxGPHandle;
  ~TdxGPBrushHandle() override;
};

// A bounded cache of values kept sorted by key. When full, a new key evicts its sorted
// neighbour (the entry at its insertion position, or the last one).
template <class K, class V>
class TdxCustomValueCacheManager {
 public:
  explicit TdxCustomValueCacheManager(int32_t ACapacity) : FCapacity(ACapacity) {}
  virtual ~TdxCustomValueCacheManager() = default;

  V GetValue(const K& AKey) {
    if (FLastKeyIndex >= 0 && Compare(FLastKey, AKey) == 0) return FData[FLastKeyIndex].second;
    int32_t index;
    if (!Find(AKey, index)) {
      if (static_cast<int32_t>(FData.size()) == FCapacity && FCapacity > 0) {
        if (index == static_cast<int32_t>(FData.size())) --index;
        Remove(index);
      }
      V value;
      CreateValue(AKey, value);
      FData.insert(FData.begin() + index, {AKey, std::move(value)});
    }
    FLastKey = AKey;
    FLastKeyIndex = index;
    return FData[index].second;
  }

  // Binary search; AIndex is the leftmost position whose key is not less than AKey.
  bool Find(const K& AKey, int32_t& AIndex) {
    bool found = false;
    int32_t lo = 0, hi = static_cast<int32_t>(FData.size()) - 1;
    while (hi >= lo) {
      const int32_t mid = lo + (hi - lo) / 2;
      const int32_t c = Compare(FData[mid].first, AKey);
      if (c < 0) {
        lo = mid + 1;
      } else {
        hi = mid - 1;
        if (c == 0) found = true;
      }
    }
    AIndex = lo;
    return found;
  }

  void Clear() {
    FLastKeyIndex = -1;
    while (!FData.empty()) Remove(static_cast<int32_t>(FData.size()) - 1);
  }

  int32_t Count() const { return static_cast<int32_t>(FData.size()); }
  const K& Keys(int32_t Index) const { return FData[Index].first; }

 protected:
  virtual int32_t Compare(const K& A, const K& B) = 0;
  virtual void CreateValue(const K& AKey, V& AValue) = 0;
  virtual void DoRemove(const V& AValue) {}

 private:
  void Remove(int32_t Index) {
    DoRemove(FData[Index].second);
    FData.erase(FData.begin() + Index);
    FLastKeyIndex = -1;
  }

  int32_t FCapacity;
  std::vector<std::pair<K, V>> FData;
  K FLastKey{};
  int32_t FLastKeyIndex = -1;
};

template <class K>
using TdxGPHandleCacheManager = TdxCustomValueCacheManager<K, IdxGPHandle>;

struct TdxGPSolidPenCacheID {
  TdxAlphaColor Color = 0;
  gdiplus::DashStyle Style = gdiplus::DashStyleSolid;
  float Width = 0;
};

class TdxGPSolidPenCacheManager : public TdxGPHandleCacheManager<TdxGPSolidPenCacheID> {
 public:
  using TdxGPHandleCacheManager<TdxGPSolidPenCacheID>::TdxGPHandleCacheManager;

 protected:
  int32_t Compare(const TdxGPSolidPenCacheID& A, const TdxGPSolidPenCacheID& B) override;
  void CreateValue(const TdxGPSolidPenCacheID& AKey, IdxGPHandle& AValue) override;
};

class TdxGPSolidBrushCacheManager : public TdxGPHandleCacheManager<TdxAlphaColor> {
 public:
  using TdxGPHandleCacheManager<TdxAlphaColor>::TdxGPHandleCacheManager;

 protected:
  int32_t Compare(const TdxAlphaColor& A, const TdxAlphaColor& B) override;
  void CreateValue(const TdxAlphaColor& AKey, IdxGPHandle& AValue) override;
};

inline constexpr gdiplus::DashStyle PenStyleToDashStyle[] = {gdiplus::DashStyleSolid, gdiplus::DashStyleDash,
                                                             gdiplus::DashStyleDot, gdiplus::DashStyleDashDot,
                                                             gdiplus::DashStyleDashDotDot};

// The shared caches, capacity 100 each. Every form answers True with a handle or False
// without one.
class TdxGPResourceManager {
 public:
  static bool GetPen(TdxAlphaColor AColor, gdiplus::DashStyle AStyle, float AWidth, IdxGPHandle& AHandle);
  static bool GetPen(TdxAlphaColor AColor, TPenStyle AStyle, float AWidth, IdxGPHandle& AHandle);
  static bool GetPen(TdxAlphaColor AColor, TdxGPPenStyle AStyle, float AWidth, IdxGPHandle& AHandle);
  static bool GetPen(TColor AColor, uint8_t AColorAlpha, TPenStyle AStyle, float AWidth,
                     IdxGPHandle& AHandle);
  static bool GetSolidBrush(TdxAlphaColor AColor, IdxGPHandle& AHandle);
  static bool GetSolidBrush(TColor AColor, uint8_t AColorAlpha, IdxGPHandle& AHandle);
  static void Initialize();
  static void Finalize();
  static TdxGPSolidPenCacheManager* SolidPens();
  static TdxGPSolidBrushCacheManager* SolidBrushes();
};

// ---- Image attributes --------------------------------------------------------------------

class TdxGPImageAttributes : public TdxGpBase {
  QD_CLASS(TdxGPImageAttributes, TdxGpBase)

 public:
  TdxGPImageAttributes();
  // Adopts the handle.
  explicit TdxGPImageAttributes(GpImageAttributes* AHandle) : FHandle(AHandle) {}
  ~TdxGPImageAttributes() override;
  TdxGPImageAttributes* Clone();
  GpImageAttributes* Handle() const { return FHandle; }

  void SetColorMatrix(const TdxGpColorMatrix& AMatrix, TdxGpColorMatrixFlags AMode = ColorMatrixFlagsDefault,
                      TdxGpColorAdjustType AType = gdiplus::ColorAdjustTypeDefault);
  void SetColorMatrices(const TdxGpColorMatrix& AColorMatrix, const TdxGpColorMatrix& AGrayMatrix,
                        TdxGpColorMatrixFlags AMode = ColorMatrixFlagsDefault,
                        TdxGpColorAdjustType AType = gdiplus::ColorAdjustTypeDefault);
  void ClearColorMatrix(TdxGpColorAdjustType AType = gdiplus::ColorAdjustTypeDefault);
  void SetThreshold(float AThreshold, TdxGpColorAdjustType AType = gdiplus::ColorAdjustTypeDefault);
  void ClearThreshold(TdxGpColorAdjustType AType = gdiplus::ColorAdjustTypeDefault);
  void SetGamma(float AGamma, TdxGpColorAdjustType AType = gdiplus::ColorAdjustTypeDefault);
  void ClearGamma(TdxGpColorAdjustType AType = gdiplus::ColorAdjustTypeDefault);
  void SetNoOp(TdxGpColorAdjustType AType = gdiplus::ColorAdjustTypeDefault);
  void ClearNoOp(TdxGpColorAdjustType AType = gdiplus::ColorAdjustTypeDefault);
  void SetColorKey(TdxAlphaColor AColorLow, TdxAlphaColor AColorHigh,
                   TdxGpColorAdjustType AType = gdiplus::ColorAdjustTypeDefault);
  void ClearColorKey(TdxGpColorAdjustType AType = gdiplus::ColorAdjustTypeDefault);
  void SetOutputChannel(TdxGpColorChannelFlags AFlags,
                        TdxGpColorAdjustType AType = gdiplus::ColorAdjustTypeDefault);
  void ClearOutputChannel(TdxGpColorAdjustType AType = gdiplus::ColorAdjustTypeDefault);
  void SetOutputChannelColorProfile(const String& AFileName,
                                    TdxGpColorAdjustType AType = gdiplus::ColorAdjustTypeDefault);
  void ClearOutputChannelColorProfile(TdxGpColorAdjustType AType = gdiplus::ColorAdjustTypeDefault);
  void SetRemapTable(const std::vector<gdiplus::ColorMap>& AMap,
                     TdxGpColorAdjustType AType = gdiplus::ColorAdjustTypeDefault);
  void ClearRemapTable(TdxGpColorAdjustType AType = gdiplus::ColorAdjustTypeDefault);
  void SetBrushRemapTable(const std::vector<gdiplus::ColorMap>& AMap);
  void ClearBrushRemapTable();
  void SetWrapMode(gdiplus::WrapMode AMode);
  void SetWrapMode(gdiplus::WrapMode AMode, TdxAlphaColor AColor, bool AClamp);
  void GetAdjustedPalette(gdiplus::ColorPalette& APalette,
                          TdxGpColorAdjustType AType = gdiplus::ColorAdjustTypeDefault);

 protected:
  GpImageAttributes* FHandle = nullptr;
};

// Scales the alpha of drawn images by a constant.
class TdxGPAlphaBlendAttributes : public TdxGPImageAttributes {
  QD_CLASS(TdxGPAlphaBlendAttributes, TdxGPImageAttributes)

 public:
  TdxGPAlphaBlendAttributes() = default;
  uint8_t Alpha() const { return FAlpha; }
  void SetAlpha(uint8_t AValue);

 private:
  uint8_t FAlpha = 255;
  TdxGpColorMatrix FColorMatrix = dxGpDefaultColorMatrix;
};

// nullptr for 255; otherwise the shared instance set to AAlpha.
TdxGPAlphaBlendAttributes* dxGpGetAlphaBlendAttributes(uint8_t AAlpha);
GpImageAttributes* dxGpGetImageAttributesHandle(TdxGPImageAttributes* AAttributes);

namespace dxGDIPlusClasses {
void Initialize();
void Finalize();
}  // namespace dxGDIPlusClasses

// Frees the shared string formats and font families (called by dxGDIPlusClasses::Finalize).
namespace dxGDIPlusText {
void Finalize();
}  // namespace dxGDIPlusText

}  // namespace qd

namespace qd {

class TdxGPCanvas;

// ---- String formats, font families and fonts ---------------------------------------------

using TdxGpStringAlignment = gdiplus::StringAlignment;
using TdxGpStringTrimming = gdiplus::StringTrimming;
using TdxGpStringDigitSubstitute = gdiplus::StringDigitSubstitute;
using TdxGpCharacterRange = gdiplus::CharacterRange;

// GDI+'s units.
enum TdxGraphicUnit : int32_t { guWorld, guDisplay, guPixel, guPoint, guInch, guDocument, guMillimeter };

class TdxGPStringFormat : public TdxGpBase {
  QD_CLASS(TdxGPStringFormat, TdxGpBase)

 public:
  explicit TdxGPStringFormat(int32_t AFormatAttributes = 0, uint16_t ALanguage = 0);
  // A copy of AFormat (GDI+ refuses a nil one).
  explicit TdxGPStringFormat(TdxGPStringFormat* AFormat);
  ~TdxGPStringFormat() override;
  TdxGPStringFormat(const TdxGPStringFormat&) = delete;
  TdxGPStringFormat& operator=(const TdxGPStringFormat&) = delete;
  TdxGPStringFormat* Clone() { return new TdxGPStringFormat(this); }
  void Assign(TdxGPStringFormat* ASource);
  // The shared formats, freed at shut-down.
  static TdxGPStringFormat* GenericDefault();
  static TdxGPStringFormat* GenericTypographic();

  GpStringFormat* Handle() const { return FHandle; }
  TdxGpStringAlignment Alignment() const;
  void SetAlignment(TdxGpStringAlignment AValue);
  TdxGpStringAlignment LineAlignment() const;
  void SetLineAlignment(TdxGpStringAlignment AValue);
  int32_t FormatFlags() const;
  void SetFormatFlags(int32_t AValue);
  int32_t HotkeyPrefix() const;
  void SetHotkeyPrefix(int32_t AValue);
  TdxGpStringTrimming Trimming() const;
  void SetTrimming(TdxGpStringTrimming AValue);
  uint16_t DigitSubstitutionLanguage() const;
  TdxGpStringDigitSubstitute DigitSubstitutionMethod() const;
  void SetDigitSubstitution(uint16_t ALanguage, TdxGpStringDigitSubstitute ASubstitute);
  int32_t TabStopCount() const;
  void SetTabStops(float AFirstTabOffset, int32_t ACount, const float* ATabStops);
  std::vector<float> GetTabStops(int32_t ACount, float& AFirstTabOffset) const;
  int32_t MeasurableCharacterRangeCount() const;
  void SetMeasurableCharacterRanges(int32_t ACount, const TdxGpCharacterRange* ARanges);

 private:
  struct AdoptTag {};
  TdxGPStringFormat(GpStringFormat* AHandle, AdoptTag) : FHandle(AHandle) {}
  GpStringFormat* FHandle = nullptr;
};

class TdxGPFontFamily : public TdxGpBase {
  QD_CLASS(TdxGPFontFamily, TdxGpBase)

 public:
  // A name GDI+ does not know leaves the handle nil.
  explicit TdxGPFontFamily(const String& AName);
  // A copy of a family handle.
  explicit TdxGPFontFamily(GpFontFamily* ANativeFamily);
  ~TdxGPFontFamily() override;
  TdxGPFontFamily(const TdxGPFontFamily&) = delete;
  TdxGPFontFamily& operator=(const TdxGPFontFamily&) = delete;
  TdxGPFontFamily* Clone() { return new TdxGPFontFamily(FHandle); }
  // The shared families, made on first request and freed at shut-down.
  static TdxGPFontFamily* GenericSansSerif();
  static TdxGPFontFamily* GenericSerif();
  static TdxGPFontFamily* GenericMonospace();

  GpFontFamily* Handle() const { return FHandle; }
  // In design units.
  uint16_t GetCellAscent(int32_t AStyle) const;
  uint16_t GetCellDescent(int32_t AStyle) const;
  uint16_t GetEmHeight(int32_t AStyle) const;
  uint16_t GetLineSpacing(int32_t AStyle) const;
  bool IsStyleAvailable(int32_t AStyle) const;
  String GetName(uint16_t ALanguage) const;
  String Name() const { return GetName(0); }

 private:
  struct AdoptTag {};
  TdxGPFontFamily(GpFontFamily* AHandle, AdoptTag) : FHandle(AHandle) {}
  GpFontFamily* FHandle = nullptr;
};

// GDI+ style bits: bold 1, italic 2, underline 4, strikeout 8.
int32_t dxFontStylesToGpFontStyles(TFontStyles AStyles);

class TdxGPFont {
 public:
  // By family name: a leading "@" marks a vertical font and is stripped from the family name.
  TdxGPFont(const String& AFamilyName, float AEmSize, int32_t AStyle = gdiplus::FontStyleRegular,
            TdxGraphicUnit AUnit = guPoint, uint8_t AGdiCharSet = DEFAULT_CHARSET);
  TdxGPFont(const String& AFamilyName, float AEmSize, TdxGraphicUnit AUnit);
  TdxGPFont(const String& AFamilyName, float AEmSize, int32_t AStyle, TdxGraphicUnit AUnit,
            uint8_t AGdiCharSet, bool AGdiVerticalFont);
  // By family, which stays the caller's.
  TdxGPFont(TdxGPFontFamily* AFamily, float AEmSize, int32_t AStyle = gdiplus::FontStyleRegular,
            TdxGraphicUnit AUnit = guPoint, uint8_t AGdiCharSet = DEFAULT_CHARSET,
            bool AGdiVerticalFont = false);
  TdxGPFont(TdxGPFontFamily* AFamily, float AEmSize, TdxGraphicUnit AUnit);
  // Name, size, unit and family of the prototype with another style.
  TdxGPFont(TdxGPFont* APrototype, int32_t AStyle);
  // Adopts a GDI+ font handle.
  TdxGPFont(GpFont* ANativeFont, bool AGdiVerticalFont, uint8_t AGdiCharSet);
  ~TdxGPFont();
  TdxGPFont(const TdxGPFont&) = delete;
  TdxGPFont& operator=(const TdxGPFont&) = delete;

  // Like the name form, but an unknown family falls back to the shared sans-serif family.
  static TdxGPFont* SafeCreate(const String& AFamilyName, float AEmSize,
                               int32_t AStyle = gdiplus::FontStyleRegular, TdxGraphicUnit AUnit = guPoint,
                               uint8_t AGdiCharSet = DEFAULT_CHARSET);
  static TdxGPFont* FromHFont(HFONT AHFont);
  static TdxGPFont* FromLogFont(const LOGFONTW& ALogFont);
  static TdxGPFont* FromLogFont(const LOGFONTW& ALogFont, HDC AHdc);
  static TdxGPFont* FromHdc(HDC AHdc);
  TdxGPFont* Clone();
  static bool IsVerticalName(const String& AName) { return !AName.empty() && AName[0] == u'@'; }
  static String StripVerticalName(const String& AName);

  void ToLogFont(LOGFONTW& ALogFont, TdxGPCanvas* ACanvas);
  void ToLogFont(LOGFONTW& ALogFont);
  HFONT ToHfont();
  float GetHeight(TdxGPCanvas* ACanvas);
  float GetHeight();
  float GetHeight(float ADpi);
  int32_t Height() { return static_cast<int32_t>(std::ceil(GetHeight())); }
  float SizeInPoints();
  uint32_t GetHashCode() const;

  GpFont* NativeFont() const { return FNativeFont; }
  TdxGPFontFamily* FontFamily() const { return FFontFamily; }
  float Size() const { return FFontSize; }
  int32_t Style() const { return FFontStyle; }
  TdxGraphicUnit Unit() const { return FFontUnit; }
  uint8_t GdiCharSet() const { return FGdiCharSet; }
  bool GdiVerticalFont() const { return FGdiVerticalFont; }
  bool Bold() const { return (FFontStyle & gdiplus::FontStyleBold) != 0; }
  bool Italic() const { return (FFontStyle & gdiplus::FontStyleItalic) != 0; }
  bool Underline() const { return (FFontStyle & gdiplus::FontStyleUnderline) != 0; }
  bool Strikeout() const { return (FFontStyle & gdiplus::FontStyleStrikeout) != 0; }
  String Name() const { return FFontFamily ? FFontFamily->Name() : String(); }
  const String& OriginalFontName() const { return FOriginalFontName; }
  bool IsSystemFont() const { return !FSystemFontName.empty(); }
  const String& SystemFontName() const { return FSystemFontName; }
  void SetSystemFontName(const String& AValue) { FSystemFontName = AValue; }

 private:
  TdxGPFont() = default;
  void InitByName(const String& AFamilyName, float AEmSize, int32_t AStyle, TdxGraphicUnit AUnit,
                  uint8_t AGdiCharSet, bool AGdiVerticalFont, bool ASafe);
  void Init(TdxGPFontFamily* AFamily, int32_t AStyle, bool AGdiVerticalFont, uint8_t AGdiCharSet,
            TdxGraphicUnit AUnit, float AEmSize);

  GpFont* FNativeFont = nullptr;
  float FFontSize = 0;
  int32_t FFontStyle = 0;
  TdxGPFontFamily* FFontFamily = nullptr;
  TdxGraphicUnit FFontUnit = guPoint;
  uint8_t FGdiCharSet = DEFAULT_CHARSET;
  bool FGdiVerticalFont = false;
  bool FIsOwnFontFamily = false;
  String FSystemFontName;
  String FOriginalFontName;
};

// ---- Paths and regions -------------------------------------------------------------------

class TdxGPPath : public TdxGpBase {
  QD_CLASS(TdxGPPath, TdxGpBase)

 public:
  explicit TdxGPPath(gdiplus::FillMode AFillMode = gdiplus::FillModeAlternate);
  TdxGPPath(const std::vector<TdxGpPointF>& APoints, const std::vector<uint8_t>& APointTypes);
  ~TdxGPPath() override;
  TdxGPPath(const TdxGPPath&) = delete;
  TdxGPPath& operator=(const TdxGPPath&) = delete;

  GpPath* Handle() const { return FHandle; }
  void Assign(TdxGPPath* ASource);
  gdiplus::FillMode FillMode() const;
  void SetFillMode(gdiplus::FillMode AValue);

  void FigureStart();
  void FigureFinish();
  void Reset();
  void Flatten(TdxGPMatrix* AMatrix = nullptr, float AFlatness = 0.25f);

  void AddArc(float X, float Y, float Width, float Height, float StartAngle, float SweepAngle);
  void AddBezier(const TdxPointF& P1, const TdxPointF& P2, const TdxPointF& P3, const TdxPointF& P4);
  void AddEllipse(const TRect& R);
  void AddEllipse(const TdxRectF& R);
  void AddLine(float X1, float Y1, float X2, float Y2);
  void AddPath(TdxGPPath* APath);
  void AddPie(float X, float Y, float Width, float Height, float StartAngle, float SweepAngle);
  void AddPolygon(const std::vector<TPoint>& APoints);
  void AddPolygon(const std::vector<TdxPointF>& APoints);
  void AddPolyline(const std::vector<TPoint>& APoints);
  void AddPolyline(const std::vector<TdxPointF>& APoints);
  void AddRect(const TRect& R);
  void AddRect(const TdxRectF& R);
  void AddRoundRect(const TRect& R, int32_t ARadiusX, int32_t ARadiusY);
  void AddRoundRect(const TdxRectF& R, float ARadiusX, float ARadiusY);
  // Text outlines. With a TdxGPFont the em size is the font's size in points at the screen's
  // resolution; a nil family or format goes to GDI+ as nil.
  void AddString(const String& S, TdxGPFont* AFont, const TdxRectF& ARect, TdxGPStringFormat* AFormat);
  void AddString(const String& S, TdxGPFont* AFont, const TdxPointF& AOrigin, TdxGPStringFormat* AFormat);
  void AddString(const String& S, TdxGPFontFamily* AFamily, TdxGPStringFormat* AFormat,
                 const TdxPointF& AOrigin, float AEmSize, int32_t AStyle);
  void AddString(const String& S, TdxGPFontFamily* AFamily, TdxGPStringFormat* AFormat, const TPoint& AOrigin,
                 float AEmSize, int32_t AStyle);
  void AddString(const String& S, TdxGPFontFamily* AFamily, TdxGPStringFormat* AFormat,
                 const TdxRectF& ALayoutRect, float AEmSize, int32_t AStyle);
  void AddString(const String& S, TdxGPFontFamily* AFamily, TdxGPStringFormat* AFormat,
                 const TRect& ALayoutRect, float AEmSize, int32_t AStyle);
  void AddString(const String& S, TFont* AFont, const TRect& ARect, int32_t AEmSize);

  TRect GetBounds(TdxGPPen* APen = nullptr);
  TdxRectF GetBoundsF(TdxGPPen* APen = nullptr);
  int32_t PointCount();
  bool IsPointInPath(const TdxPointF& P, TdxGPCanvas* ACanvas = nullptr);
  bool IsPointInPath(const TPoint& P, TdxGPCanvas* ACanvas = nullptr) {
    return IsPointInPath(TdxPointF(P), ACanvas);
  }
  bool IsPointInPathOutline(const TdxPointF& P, TdxGPPen* APen, TdxGPCanvas* ACanvas = nullptr);
  bool IsPointInPathOutline(const TPoint& P, int32_t APenWidth, TdxGPCanvas* ACanvas = nullptr);
  void Transform(TdxGPMatrix* AMatrix);

 private:
  GpPath* FHandle = nullptr;
};

class TdxGPRegion : public TdxGpBase {
  QD_CLASS(TdxGPRegion, TdxGpBase)

 public:
  // An infinite region.
  TdxGPRegion();
  explicit TdxGPRegion(GpPath* APath);
  explicit TdxGPRegion(const TRect& R);
  explicit TdxGPRegion(const TdxRectF& R);
  ~TdxGPRegion() override;
  TdxGPRegion(const TdxGPRegion&) = delete;
  TdxGPRegion& operator=(const TdxGPRegion&) = delete;
  // A copy of the given region.
  static TdxGPRegion* CreateFromRegion(GpRegion* ARegion);

  GpRegion* Handle() const { return FHandle; }
  void CombineRegionRect(const TRect& R, gdiplus::CombineMode AMode);
  void CombineRegionRect(const TdxRectF& R, gdiplus::CombineMode AMode);
  void CombineRegionRegion(TdxGPRegion* ARegion, gdiplus::CombineMode AMode);

 private:
  struct AdoptTag {};
  TdxGPRegion(GpRegion* AHandle, AdoptTag) : FHandle(AHandle) {}
  GpRegion* FHandle = nullptr;
};

}  // namespace qd
