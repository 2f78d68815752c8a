#pragma once
// TdxGPCanvas: the anti-aliasing drawing surface over one GDI+ graphics handle, with clip and
// world-transform stacks and shapes drawn with pen and brush objects or cached colour pens and
// brushes; the paint canvases that bind it to a DC (through a 32-bit buffer where the DC needs
// one); and the GDI+ drawing functions (image draw, tiling, right-to-left mirroring).
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/forms/graphics.h"
#include "ui/graphics/dxGDIPlusClasses.h"

namespace qd {

class TdxGPImage;

enum TdxGPSmoothingMode : int32_t { smDefault, smHighSpeed, smHighQuality, smNone, smAntiAlias };
enum TdxGPInterpolationMode : int32_t {
  imDefault,
  imLowQuality,
  imHighQuality,
  imBilinear,
  imBicubic,
  imNearestNeighbor,
  imHighQualityBilinear,
  imHighQualityBicubic
};
inline constexpr TdxGPInterpolationMode dxGpSmoothStretchModeMap[2] = {imNearestNeighbor,
                                                                       imHighQualityBicubic};

class TdxGPCanvas : public TdxGpBase {
  QD_CLASS(TdxGPCanvas, TdxGpBase)

 public:
  TdxGPCanvas() = default;
  // Adopts and owns the handle.
  explicit TdxGPCanvas(GpGraphics* AHandle) : FHandle(AHandle) {}
  explicit TdxGPCanvas(HDC DC);
  ~TdxGPCanvas() override;
  TdxGPCanvas(const TdxGPCanvas&) = delete;
  TdxGPCanvas& operator=(const TdxGPCanvas&) = delete;

  GpGraphics* Handle() const { return FHandle; }
  bool IsLowColorsMode() const { return FIsLowColorsMode; }
  HDC GetHDC();
  void ReleaseHDC(HDC DC);
  float DpiX();
  float DpiY();
  void Clear(TColor AColor);

  TdxGPInterpolationMode InterpolationMode();
  void SetInterpolationMode(TdxGPInterpolationMode AValue);
  TdxGPSmoothingMode SmoothingMode();
  void SetSmoothingMode(TdxGPSmoothingMode AValue);
  gdiplus::PixelOffsetMode PixelOffsetMode();
  void SetPixelOffsetMode(gdiplus::PixelOffsetMode AValue);
  gdiplus::TextRenderingHint TextRenderingHint();
  void SetTextRenderingHint(gdiplus::TextRenderingHint AValue);

  // Clip.
  void SaveClipRegion();
  void RestoreClipRegion();
  void SetClipRect(const TRect& R, gdiplus::CombineMode AMode);
  void SetClipRect(const TdxRectF& R, gdiplus::CombineMode AMode);
  void SetClipRegion(HRGN AGdiRegion, gdiplus::CombineMode AMode);
  void SetClipRegion(TdxGPRegion* ARegion, gdiplus::CombineMode AMode);
  void SetClipPath(TdxGPPath* APath, gdiplus::CombineMode AMode);
  bool IsClipEmpty();

  // World transform.
  void SaveWorldTransform();
  void RestoreWorldTransform();
  void SetWorldTransform(TdxGPMatrix* AMatrix);
  // A new matrix that the caller frees.
  TdxGPMatrix* GetWorldTransform();
  void ModifyWorldTransform(TdxGPMatrix* AMatrix, TdxGpMatrixOrder AOrder = gdiplus::MatrixOrderPrepend);
  void ResetWorldTransform();
  void TranslateWorldTransform(float AOffsetX, float AOffsetY,
                               TdxGpMatrixOrder AOrder = gdiplus::MatrixOrderPrepend);
  void ScaleWorldTransform(float AScaleX, float AScaleY,
                           TdxGpMatrixOrder AOrder = gdiplus::MatrixOrderPrepend);
  // Replaces the transform by a scale about ACenter.
  void ScaleWorldTransform(float AScaleX, float AScaleY, const TdxPointF& ACenter);
  void RotateWorldTransform(float AAngle, TdxGpMatrixOrder AOrder = gdiplus::MatrixOrderPrepend);
  void RotateWorldTransform(float AAngle, const TdxPointF& APivotPoint,
                            TdxGpMatrixOrder AOrder = gdiplus::MatrixOrderPrepend);
  void RotateWorldTransform(float AAngle, const TPoint& APivotPoint,
                            TdxGpMatrixOrder AOrder = gdiplus::MatrixOrderPrepend) {
    RotateWorldTransform(AAngle, TdxPointF(APivotPoint), AOrder);
  }
  void FlipWorldTransform(bool AFlipHorizontally, bool AFlipVertically, const TdxPointF& APivotPoint);
  void FlipWorldTransform(bool AFlipHorizontally, bool AFlipVertically, const TPoint& APivotPoint) {
    FlipWorldTransform(AFlipHorizontally, AFlipVertically, TdxPointF(APivotPoint));
  }
  void FlipWorldTransform(bool AFlipHorizontally, bool AFlipVertically, float APivotPointX,
                          float APivotPointY) {
    FlipWorldTransform(AFlipHorizontally, AFlipVertically, TdxPointF(APivotPointX, APivotPointY));
  }
  void TransformPoints(gdiplus::CoordinateSpace ADestSpace, gdiplus::CoordinateSpace ASrcSpace,
                       std::vector<TdxPointF>& APoints);
  void TransformPoints(gdiplus::CoordinateSpace ADestSpace, gdiplus::CoordinateSpace ASrcSpace,
                       std::vector<TPoint>& APoints);

  // Shapes: pen and brush objects (either may be nil), alpha colours (cached pens and
  // brushes), or colours with alphas. The fill comes before the outline. Integer rectangles
  // of outlined shapes lose one pixel on the right and bottom, as GDI+ outlines include them.
  void Line(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TdxGPPen* APen);
  void Line(float X1, float Y1, float X2, float Y2, TdxGPPen* APen);
  void Line(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TdxAlphaColor APenColor, float APenWidth = 1,
            TPenStyle APenStyle = psSolid);
  void Line(float X1, float Y1, float X2, float Y2, TdxAlphaColor APenColor, float APenWidth = 1,
            TPenStyle APenStyle = psSolid);
  void Line(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor APenColor, float APenWidth = 1,
            TPenStyle APenStyle = psSolid, uint8_t APenColorAlpha = 255);

  void Polyline(const std::vector<TPoint>& APoints, TdxGPPen* APen);
  void Polyline(const std::vector<TdxPointF>& APoints, TdxGPPen* APen);
  void Polyline(const std::vector<TPoint>& APoints, TdxAlphaColor APenColor, float APenWidth = 1,
                TPenStyle APenStyle = psSolid);
  void Polyline(const std::vector<TPoint>& APoints, TColor APenColor, float APenWidth = 1,
                TPenStyle APenStyle = psSolid, uint8_t APenColorAlpha = 255);

  void Polygon(const std::vector<TPoint>& APoints, TdxGPPen* APen, TdxGPCustomBrush* ABrush);
  void Polygon(const std::vector<TdxPointF>& APoints, TdxGPPen* APen, TdxGPCustomBrush* ABrush);
  void Polygon(const std::vector<TPoint>& APoints, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor,
               float APenWidth = 1, TPenStyle APenStyle = psSolid);
  void Polygon(const std::vector<TdxPointF>& APoints, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor,
               float APenWidth = 1, TdxGPPenStyle APenStyle = gppsSolid);
  void Polygon(const std::vector<TPoint>& APoints, TColor APenColor, TColor ABrushColor, float APenWidth = 1,
               TPenStyle APenStyle = psSolid, uint8_t APenColorAlpha = 255, uint8_t ABrushColorAlpha = 255);

  void Curve(const std::vector<TPoint>& APoints, TdxAlphaColor APenColor, float APenWidth = 1,
             TPenStyle APenStyle = psSolid);
  void Curve(const std::vector<TPoint>& APoints, TColor APenColor, float APenWidth = 1,
             TPenStyle APenStyle = psSolid, uint8_t APenColorAlpha = 255);
  void Curve(const std::vector<TdxPointF>& APoints, TColor APenColor, float APenWidth = 1,
             TPenStyle APenStyle = psSolid, uint8_t APenColorAlpha = 255);

  // Angles counter-clockwise in degrees.
  void Arc(const TRect& R, float AStartAngle, float ASweepAngle, TColor APenColor, float APenWidth = 1,
           TPenStyle APenStyle = psSolid, uint8_t APenColorAlpha = 255);
  void Arc(const TRect& R, float AStartAngle, float ASweepAngle, TdxAlphaColor APenColor, float APenWidth = 1,
           TPenStyle APenStyle = psSolid);

  void Ellipse(const TRect& R, TdxGPPen* APen, TdxGPCustomBrush* ABrush);
  void Ellipse(const TdxRectF& R, TdxGPPen* APen, TdxGPCustomBrush* ABrush);
  void Ellipse(const TRect& R, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor, float APenWidth = 1,
               TPenStyle APenStyle = psSolid);
  void Ellipse(const TdxRectF& R, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor, float APenWidth = 1,
               TPenStyle APenStyle = psSolid);
  void Ellipse(const TRect& R, TColor APenColor, TColor ABrushColor, float APenWidth = 1,
               TPenStyle APenStyle = psSolid, uint8_t APenColorAlpha = 255, uint8_t ABrushColorAlpha = 255);

  void Pie(const TRect& R, float AStartAngle, float ASweepAngle, TdxAlphaColor APenColor,
           TdxAlphaColor ABrushColor, float APenWidth = 1, TPenStyle APenStyle = psSolid);
  void Pie(const TdxRectF& R, float AStartAngle, float ASweepAngle, TdxAlphaColor APenColor,
           TdxAlphaColor ABrushColor, float APenWidth = 1, TPenStyle APenStyle = psSolid);
  void Pie(const TRect& R, float AStartAngle, float ASweepAngle, TColor APenColor, TColor ABrushColor,
           float APenWidth = 1, TPenStyle APenStyle = psSolid, uint8_t APenColorAlpha = 255,
           uint8_t ABrushColorAlpha = 255);

  void Rectangle(const TRect& R, TdxGPPen* APen, TdxGPCustomBrush* ABrush);
  void Rectangle(const TdxRectF& R, TdxGPPen* APen, TdxGPCustomBrush* ABrush);
  void Rectangle(const TRect& R, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor, float APenWidth = 1,
                 TPenStyle APenStyle = psSolid);
  void Rectangle(const TdxRectF& R, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor, float APenWidth = 1,
                 TPenStyle APenStyle = psSolid);
  void Rectangle(const TRect& R, TColor APenColor, TColor ABrushColor, float APenWidth = 1,
                 TPenStyle APenStyle = psSolid, uint8_t APenColorAlpha = 255, uint8_t ABrushColorAlpha = 255);

  void FillRectangle(const TRect& R, TdxGPCustomBrush* ABrush);
  void FillRectangle(const TdxRectF& R, TdxGPCustomBrush* ABrush);
  void FillRectangle(const TRect& R, TdxAlphaColor AColor);
  void FillRectangle(const TdxRectF& R, TdxAlphaColor AColor);
  void FillRectangleByGradient(const TRect& R, TdxAlphaColor AColor1, TdxAlphaColor AColor2,
                               gdiplus::LinearGradientMode AMode);

  void RoundRect(const TRect& R, TdxGPPen* APen, TdxGPCustomBrush* ABrush, int32_t ARadiusX,
                 int32_t ARadiusY);
  void RoundRect(const TRect& R, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor, int32_t ARadiusX,
                 int32_t ARadiusY, float APenWidth = 1);
  void RoundRect(const TRect& R, TColor APenColor, TColor ABrushColor, int32_t ARadiusX, int32_t ARadiusY,
                 float APenWidth = 1, uint8_t APenColorAlpha = 255, uint8_t ABrushColorAlpha = 255);

  void Path(TdxGPPath* APath, TdxGPPen* APen, TdxGPCustomBrush* ABrush);
  void Path(TdxGPPath* APath, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor, float APenWidth = 1,
            TPenStyle APenStyle = psSolid);
  void Path(TdxGPPath* APath, TColor APenColor, TColor ABrushColor, float APenWidth = 1,
            TPenStyle APenStyle = psSolid, uint8_t APenColorAlpha = 255, uint8_t ABrushColorAlpha = 255);

  // Fills the region; the pen arguments are not used.
  void Region(TdxGPRegion* ARegion, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor);

  // Images (defined with the image classes): the whole image or a source part stretched
  // into the destination through the image's StretchDraw, with the shared alpha-blend
  // attributes of AAlpha (none for 255) or the given attributes.
  void Draw(TdxGPImage* AGraphic, const TdxRectF& R, uint8_t AAlpha = 255);
  void Draw(TdxGPImage* AGraphic, const TRect& R, uint8_t AAlpha = 255);
  void Draw(TdxGPImage* AGraphic, const TRect& R, TdxGPImageAttributes* AAttributes);
  void Draw(TdxGPImage* AGraphic, const TdxRectF& ADestRect, TdxGPImageAttributes* AAttributes,
            const TdxRectF& ASourceRect);
  void Draw(TdxGPImage* AGraphic, const TRect& ADestRect, uint8_t AAlpha, const TRect& ASourceRect);
  void Draw(TdxGPImage* AGraphic, const TdxRectF& ADestRect, uint8_t AAlpha, const TdxRectF& ASourceRect);
  // A parallelogram given by three points (upper-left, upper-right, lower-left).
  void Draw(TdxGPImage* AGraphic, const std::vector<TdxPointF>& APoints);
  void Draw(TdxGPImage* AGraphic, const std::vector<TdxPointF>& APoints, TdxGPImageAttributes* AAttributes);
  void DrawBitmap(TBitmap* ABitmap, const TRect& R, uint8_t AAlpha = 255);
  void DrawTile(TdxGPImage* AGraphic, const TRect& R, uint8_t AAlpha = 255);
  void DrawTile(TdxGPImage* AGraphic, const TRect& ADestRect, uint8_t AAlpha, const TRect& ASourceRect);

  // Text. A nil font or brush raises (before anything else); an empty string draws nothing.
  void DrawString(const String& S, TdxGPFont* AFont, TdxGPStringFormat* AFormat, const TdxRectF& ARect,
                  TdxGPCustomBrush* ABrush);
  // From a point, without wrapping.
  void DrawString(const String& S, TdxGPFont* AFont, TdxGPCustomBrush* ABrush, float X, float Y);
  void DrawString(const String& S, TdxGPFont* AFont, TdxGPCustomBrush* ABrush, const TdxPointF& APoint,
                  TdxGPStringFormat* AFormat = nullptr);
  // Nothing for an empty rectangle.
  void DrawString(const String& S, TdxGPFont* AFont, const TdxRectF& ARect, TdxGPCustomBrush* ABrush);

  // The bounding size of the laid-out text; an empty text measures 0 x 0 whatever the font.
  TdxSizeF MeasureString(const String& AText, TdxGPFont* AFont, const TdxGpRectF& ALayoutRect,
                         TdxGPStringFormat* AFormat, int32_t& ACharactersFitted, int32_t& ALinesFilled);
  TdxSizeF MeasureString(const String& AText, TdxGPFont* AFont, const TdxSizeF& ALayoutArea,
                         TdxGPStringFormat* AFormat, int32_t& ACharactersFitted, int32_t& ALinesFilled);
  TdxSizeF MeasureString(const String& AText, TdxGPFont* AFont, const TdxSizeF& ALayoutArea,
                         TdxGPStringFormat* AFormat = nullptr);
  TdxSizeF MeasureString(const String& AText, TdxGPFont* AFont, const TdxPointF& AOrigin,
                         TdxGPStringFormat* AFormat = nullptr);
  TdxSizeF MeasureString(const String& AText, TdxGPFont* AFont);
  // Wrapped at AWidth.
  TdxSizeF MeasureString(const String& AText, TdxGPFont* AFont, double AWidth,
                         TdxGPStringFormat* AFormat = nullptr);
  // One new region per measurable character range of the format; the caller owns them.
  std::vector<std::unique_ptr<TdxGPRegion>> MeasureCharacterRanges(const String& AText, TdxGPFont* AFont,
                                                                   TdxGPStringFormat* AFormat,
                                                                   const TdxRectF& ALayoutRect);

 protected:
  void CreateHandle(HDC DC);
  void FreeHandle();

  GpGraphics* FHandle = nullptr;
  std::vector<GpRegion*> FSavedClipRegions;
  std::vector<GpMatrix*> FSavedWorldTransforms;
  bool FIsLowColorsMode = false;

 private:
  GpPen* CachedPen(TdxAlphaColor AColor, TPenStyle AStyle, float AWidth, IdxGPHandle& AHolder);
  GpBrush* CachedBrush(TdxAlphaColor AColor, IdxGPHandle& AHolder);
};

class TdxGPGraphics : public TdxGPCanvas {
  QD_CLASS(TdxGPGraphics, TdxGPCanvas)

 public:
  using TdxGPCanvas::TdxGPCanvas;
};

// ---- Paint canvases ----------------------------------------------------------------------

class TdxGPCustomPaintCanvas : public TdxGPGraphics {
  QD_CLASS(TdxGPCustomPaintCanvas, TdxGPGraphics)

 public:
  TdxGPCustomPaintCanvas() = default;
  ~TdxGPCustomPaintCanvas() override;

  void BeginPaint(HDC DC, const TRect& R);
  // Paints on the caller's graphics handle, which stays the caller's.
  void BeginPaint(GpGraphics* AHandle);
  void EndPaint();

 protected:
  virtual void SaveState() {}
  virtual void RestoreState() {}
  // The depth of begun paints; an end without a begin does nothing.
  int32_t FPaintDepth = 0;
  std::recursive_mutex FLock;
  TBitmap* FBuffer = nullptr;
  HDC FDrawDC = nullptr;
  TRect FDrawRect;
};

struct TdxGPPaintCanvasState {
  GpGraphics* Handle = nullptr;
  TBitmap* Buffer = nullptr;
  TRect DrawRect;
  HDC DC = nullptr;
  bool IsLowColorsMode = false;
};

class TdxGPPaintCanvas : public TdxGPCustomPaintCanvas {
  QD_CLASS(TdxGPPaintCanvas, TdxGPCustomPaintCanvas)

 protected:
  void SaveState() override;
  void RestoreState() override;

 private:
  int32_t FCounter = 0;
  std::vector<TdxGPPaintCanvasState> FSavedStates;
};

// The shared paint canvas, created on first use.
TdxGPPaintCanvas* dxGPPaintCanvas();
TdxGPCustomPaintCanvas* dxGpBeginPaint(HDC DC, const TRect& R);
void dxGpEndPaint(TdxGPCustomPaintCanvas*& ACanvas);
bool dxGpIsDoubleBufferedNeeded(HDC DC);
// Test switch: the device-capability query dxGpIsDoubleBufferedNeeded uses (nullptr: the
// system's GetDeviceCaps), so that tests can present 16-bit, printer and palette devices.
using TdxGpDeviceCapsFunc = int (*)(HDC DC, int AIndex);
void dxGpSetDeviceCapsFunc(TdxGpDeviceCapsFunc AFunc);
HWND dxWindowFromDC(HDC DC);
GpGraphics* dxGpGetCanvasHandle(TdxGPCanvas* ACanvas);
void dxGpFillRect(HDC DC, const TRect& R, TColor AColor, uint8_t AAlpha = 255);
bool dxGpIsRectVisible(GpGraphics* AGraphics, const TRect& R);
bool dxGpIsRectVisible(GpGraphics* AGraphics, const TdxRectF& R);
void dxGpDrawImage(GpGraphics* AGraphics, const TdxRectF& ADestRect, const TdxRectF& ASourceRect,
                   GpImage* AImage, uint8_t AAlpha = 255, GpImageAttributes* AImageAttributes = nullptr);
void dxGpDrawImage(GpGraphics* AGraphics, const TRect& ADestRect, const TRect& ASourceRect, GpImage* AImage,
                   uint8_t AAlpha = 255, GpImageAttributes* AImageAttributes = nullptr);
void dxGpTilePartEx(GpGraphics* AGraphics, const TRect& ADestRect, const TRect& ASourceRect, GpImage* AImage,
                    uint8_t AAlpha = 255);
void dxGpRightToLeftDependentDraw(TdxGPCanvas* ACanvas, const TRect& R, bool ARightToLeft,
                                  const std::function<void()>& AProc);

namespace dxGDIPlusCanvas {
void Initialize();
void Finalize();
}  // namespace dxGDIPlusCanvas

}  // namespace qd
