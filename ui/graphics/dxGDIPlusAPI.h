#pragma once
// The GDI+ binding: "gdiplus.dll" is loaded at run time and every flat-API entry point the
// library calls is looked up by name into a procedure variable of the same name. A module or
// entry point that is missing, or a start-up that fails, leaves GDI+ unavailable
// (CheckGdiPlus answers False) instead of crashing. Failing statuses become EdxGdipException.
#include <cstddef>
#include <cstdint>

#include "platform/base/geometry.h"
#include "platform/gdiplus/gdiplus.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxCore.h"

namespace qd {

using Status = gdiplus::Status;
using GpGraphics = gdiplus::GpGraphics;
using GpImage = gdiplus::GpImage;
using GpBitmap = gdiplus::GpBitmap;
using GpBrush = gdiplus::GpBrush;
using GpPen = gdiplus::GpPen;
using GpMatrix = gdiplus::GpMatrix;
using GpPath = gdiplus::GpPath;
using GpRegion = gdiplus::GpRegion;
using GpImageAttributes = gdiplus::GpImageAttributes;
using GpFont = gdiplus::GpFont;
using GpFontFamily = gdiplus::GpFontFamily;
using GpStringFormat = gdiplus::GpStringFormat;
using TdxGpLineJoin = gdiplus::LineJoin;
using TdxGpMatrixOrder = gdiplus::MatrixOrder;
using TdxGpColorAdjustType = gdiplus::ColorAdjustType;

enum TdxGpColorMatrixFlags : int32_t {
  ColorMatrixFlagsDefault = 0,
  ColorMatrixFlagsSkipGrays = 1,
  ColorMatrixFlagsAltGray = 2
};
enum TdxGpColorChannelFlags : int32_t {
  ColorChannelFlagsC = 0,
  ColorChannelFlagsM,
  ColorChannelFlagsY,
  ColorChannelFlagsK,
  ColorChannelFlagsLast
};

// 5 x 5, row by row.
struct TdxGpColorMatrix {
  float M[5][5] = {};
};
extern const TdxGpColorMatrix dxGpDefaultColorMatrix;

struct TdxGpPointF {
  float X = 0;
  float Y = 0;
};

struct TdxGpRect {
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Width = 0;
  int32_t Height = 0;

  static TdxGpRect Empty() { return {}; }
  void Init(int32_t AX, int32_t AY, int32_t AWidth, int32_t AHeight) {
    X = AX, Y = AY, Width = AWidth, Height = AHeight;
  }
  static TdxGpRect FromRect(const TRect& R) { return {R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top}; }
  TRect ToRect() const { return TRect{X, Y, X + Width, Y + Height}; }
  const gdiplus::GpRect* Gp() const { return reinterpret_cast<const gdiplus::GpRect*>(this); }
};

struct TdxGpRectF {
  float X = 0;
  float Y = 0;
  float Width = 0;
  float Height = 0;

  static TdxGpRectF Empty() { return {}; }
  void Init(float AX, float AY, float AWidth, float AHeight) {
    X = AX, Y = AY, Width = AWidth, Height = AHeight;
  }
  TdxSizeF SizeF() const { return TdxSizeF(Width, Height); }
  static TdxGpRectF FromRect(const TRect& R);
  static TdxGpRectF FromRectF(const TdxRectF& R) {
    return {R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top};
  }
  // Each value truncated toward zero.
  TRect ToRect() const;
  TdxRectF ToRectF() const { return TdxRectF(X, Y, X + Width, Y + Height); }
  const gdiplus::GpRectF* Gp() const { return reinterpret_cast<const gdiplus::GpRectF*>(this); }
};

static_assert(sizeof(TdxGpRect) == sizeof(gdiplus::GpRect));
static_assert(sizeof(TdxGpRectF) == sizeof(gdiplus::GpRectF));
static_assert(sizeof(TdxGpPointF) == sizeof(gdiplus::GpPointF));
static_assert(sizeof(TdxGpColorMatrix) == sizeof(gdiplus::ColorMatrix));

TdxGpPointF MakePoint(float X, float Y);
TdxGpRect MakeRect(int32_t X, int32_t Y, int32_t AWidth, int32_t AHeight);
TdxGpRect MakeRect(const TRect& R);
TdxGpRectF MakeRect(float X, float Y, float AWidth, float AHeight);
TdxGpRectF dxGpMakeRectF(const TRect& R);
TdxGpRectF dxGpMakeRectF(const TdxGpRect& R);
bool dxGpRectIsEqual(const TdxGpRectF& A, const TdxGpRectF& B);

// ---- The procedure variables -------------------------------------------------------------

// Every bound entry point, in binding order (memory and start-up first).
// clang-format off
#define QD_DXGDIPLUS_ENTRIES(X) \
  X(GdipAlloc) \
  X(GdipFree) \
  X(GdiplusStartup) \
  X(GdiplusShutdown) \
  X(GdipCloneBrush) \
  X(GdipDeleteBrush) \
  X(GdipGetBrushType) \
  X(GdipCreateSolidFill) \
  X(GdipSetSolidFillColor) \
  X(GdipCreateLineBrushFromRect) \
  X(GdipCreateLineBrushFromRectI) \
  X(GdipCreateLineBrush) \
  X(GdipCreateLineBrushI) \
  X(GdipSetLinePresetBlend) \
  X(GdipCreateHatchBrush) \
  X(GdipCreatePathGradient) \
  X(GdipCreatePathGradientI) \
  X(GdipCreatePathGradientFromPath) \
  X(GdipSetPathGradientCenterColor) \
  X(GdipGetPathGradientCenterColor) \
  X(GdipSetPathGradientSurroundColorsWithCount) \
  X(GdipGetPathGradientSurroundColorsWithCount) \
  X(GdipGetPathGradientSurroundColorCount) \
  X(GdipSetPathGradientCenterPoint) \
  X(GdipGetPathGradientCenterPoint) \
  X(GdipSetPathGradientFocusScales) \
  X(GdipGetPathGradientFocusScales) \
  X(GdipSetPathGradientBlend) \
  X(GdipSetPathGradientPresetBlend) \
  X(GdipSetPathGradientWrapMode) \
  X(GdipSetPathGradientTransform) \
  X(GdipResetPathGradientTransform) \
  X(GdipCreatePen1) \
  X(GdipCreatePen2) \
  X(GdipDeletePen) \
  X(GdipSetPenBrushFill) \
  X(GdipGetPenWidth) \
  X(GdipSetPenWidth) \
  X(GdipSetPenLineCap197819) \
  X(GdipSetPenStartCap) \
  X(GdipSetPenEndCap) \
  X(GdipSetPenDashCap197819) \
  X(GdipGetPenDashCap197819) \
  X(GdipSetPenLineJoin) \
  X(GdipSetPenMiterLimit) \
  X(GdipSetPenDashStyle) \
  X(GdipSetPenDashArray) \
  X(GdipSetPenDashOffset) \
  X(GdipGetPenDashArray) \
  X(GdipSetPenCustomStartCap) \
  X(GdipSetPenCustomEndCap) \
  X(GdipGetPenCustomStartCap) \
  X(GdipGetPenCustomEndCap) \
  X(GdipCreateCustomLineCap) \
  X(GdipDeleteCustomLineCap) \
  X(GdipCloneCustomLineCap) \
  X(GdipSetCustomLineCapStrokeCaps) \
  X(GdipSetCustomLineCapBaseCap) \
  X(GdipSetCustomLineCapBaseInset) \
  X(GdipSetCustomLineCapWidthScale) \
  X(GdipCreateAdjustableArrowCap) \
  X(GdipSetAdjustableArrowCapHeight) \
  X(GdipSetAdjustableArrowCapWidth) \
  X(GdipSetAdjustableArrowCapMiddleInset) \
  X(GdipSetAdjustableArrowCapFillState) \
  X(GdipCreateFromHDC) \
  X(GdipDeleteGraphics) \
  X(GdipGetWorldTransform) \
  X(GdipSetWorldTransform) \
  X(GdipMultiplyWorldTransform) \
  X(GdipResetWorldTransform) \
  X(GdipTranslateWorldTransform) \
  X(GdipScaleWorldTransform) \
  X(GdipRotateWorldTransform) \
  X(GdipSaveGraphics) \
  X(GdipRestoreGraphics) \
  X(GdipBeginContainer2) \
  X(GdipEndContainer) \
  X(GdipSetSmoothingMode) \
  X(GdipGetSmoothingMode) \
  X(GdipSetInterpolationMode) \
  X(GdipGetInterpolationMode) \
  X(GdipSetPixelOffsetMode) \
  X(GdipGetPixelOffsetMode) \
  X(GdipSetTextRenderingHint) \
  X(GdipGetTextRenderingHint) \
  X(GdipGetDpiX) \
  X(GdipGetDpiY) \
  X(GdipReleaseDC) \
  X(GdipGetDC) \
  X(GdipGraphicsClear) \
  X(GdipIsVisibleRect) \
  X(GdipIsVisibleRectI) \
  X(GdipTransformPoints) \
  X(GdipTransformPointsI) \
  X(GdipDrawLine) \
  X(GdipDrawLineI) \
  X(GdipDrawLines) \
  X(GdipDrawLinesI) \
  X(GdipDrawArc) \
  X(GdipDrawArcI) \
  X(GdipDrawBezier) \
  X(GdipDrawBeziers) \
  X(GdipDrawRectangle) \
  X(GdipDrawRectangleI) \
  X(GdipDrawEllipse) \
  X(GdipDrawEllipseI) \
  X(GdipDrawPie) \
  X(GdipDrawPieI) \
  X(GdipDrawPolygon) \
  X(GdipDrawPolygonI) \
  X(GdipDrawCurve) \
  X(GdipDrawCurveI) \
  X(GdipDrawPath) \
  X(GdipFillRectangle) \
  X(GdipFillRectangleI) \
  X(GdipFillPolygon) \
  X(GdipFillPolygonI) \
  X(GdipFillEllipse) \
  X(GdipFillEllipseI) \
  X(GdipFillPie) \
  X(GdipFillPieI) \
  X(GdipFillPath) \
  X(GdipFillRegion) \
  X(GdipLoadImageFromStream) \
  X(GdipCloneImage) \
  X(GdipDisposeImage) \
  X(GdipGetImageWidth) \
  X(GdipGetImageHeight) \
  X(GdipGetImageType) \
  X(GdipGetImageRawFormat) \
  X(GdipGetImageGraphicsContext) \
  X(GdipDrawImageRectRect) \
  X(GdipDrawImageRectRectI) \
  X(GdipDrawImageRect) \
  X(GdipDrawImageRectI) \
  X(GdipGetImageEncodersSize) \
  X(GdipGetImageEncoders) \
  X(GdipGetImageDecodersSize) \
  X(GdipGetImageDecoders) \
  X(GdipSaveImageToStream) \
  X(GdipCreateBitmapFromScan0) \
  X(GdipBitmapLockBits) \
  X(GdipBitmapUnlockBits) \
  X(GdipCreateHBITMAPFromBitmap) \
  X(GdipCreateTexture) \
  X(GdipCreateTexture2I) \
  X(GdipSetTextureTransform) \
  X(GdipGetTextureTransform) \
  X(GdipTranslateTextureTransform) \
  X(GdipResetTextureTransform) \
  X(GdipCreateImageAttributes) \
  X(GdipCloneImageAttributes) \
  X(GdipDisposeImageAttributes) \
  X(GdipSetImageAttributesColorMatrix) \
  X(GdipSetImageAttributesThreshold) \
  X(GdipSetImageAttributesGamma) \
  X(GdipSetImageAttributesNoOp) \
  X(GdipSetImageAttributesColorKeys) \
  X(GdipSetImageAttributesOutputChannel) \
  X(GdipSetImageAttributesOutputChannelColorProfile) \
  X(GdipSetImageAttributesRemapTable) \
  X(GdipSetImageAttributesWrapMode) \
  X(GdipGetImageAttributesAdjustedPalette) \
  X(GdipCreateMatrix) \
  X(GdipCreateMatrix2) \
  X(GdipCloneMatrix) \
  X(GdipDeleteMatrix) \
  X(GdipSetMatrixElements) \
  X(GdipGetMatrixElements) \
  X(GdipMultiplyMatrix) \
  X(GdipTranslateMatrix) \
  X(GdipScaleMatrix) \
  X(GdipRotateMatrix) \
  X(GdipShearMatrix) \
  X(GdipInvertMatrix) \
  X(GdipTransformMatrixPoints) \
  X(GdipTransformMatrixPointsI) \
  X(GdipIsMatrixIdentity) \
  X(GdipIsMatrixInvertible) \
  X(GdipCreatePath) \
  X(GdipCreatePath2) \
  X(GdipClonePath) \
  X(GdipDeletePath) \
  X(GdipResetPath) \
  X(GdipStartPathFigure) \
  X(GdipClosePathFigure) \
  X(GdipAddPathArc) \
  X(GdipAddPathBezier) \
  X(GdipAddPathEllipse) \
  X(GdipAddPathLine) \
  X(GdipAddPathLine2) \
  X(GdipAddPathRectangle) \
  X(GdipAddPathPolygon) \
  X(GdipAddPathPath) \
  X(GdipAddPathPie) \
  X(GdipAddPathString) \
  X(GdipAddPathStringI) \
  X(GdipGetPathWorldBounds) \
  X(GdipGetPathWorldBoundsI) \
  X(GdipGetPointCount) \
  X(GdipIsVisiblePathPoint) \
  X(GdipIsOutlineVisiblePathPoint) \
  X(GdipIsVisiblePathPointI) \
  X(GdipIsOutlineVisiblePathPointI) \
  X(GdipTransformPath) \
  X(GdipGetPathFillMode) \
  X(GdipSetPathFillMode) \
  X(GdipFlattenPath) \
  X(GdipGetClip) \
  X(GdipSetClipRegion) \
  X(GdipSetClipRect) \
  X(GdipSetClipRectI) \
  X(GdipSetClipHrgn) \
  X(GdipSetClipPath) \
  X(GdipResetClip) \
  X(GdipIsClipEmpty) \
  X(GdipCreateRegion) \
  X(GdipCreateRegionPath) \
  X(GdipCreateRegionRect) \
  X(GdipCreateRegionRectI) \
  X(GdipCloneRegion) \
  X(GdipCombineRegionRect) \
  X(GdipCombineRegionRectI) \
  X(GdipCombineRegionRegion) \
  X(GdipDeleteRegion) \
  X(GdipGetRegionBounds) \
  X(GdipIsEmptyRegion) \
  X(GdipCreateFontFamilyFromName) \
  X(GdipDeleteFontFamily) \
  X(GdipCloneFontFamily) \
  X(GdipGetGenericFontFamilySansSerif) \
  X(GdipGetGenericFontFamilySerif) \
  X(GdipGetGenericFontFamilyMonospace) \
  X(GdipGetFamilyName) \
  X(GdipIsStyleAvailable) \
  X(GdipGetEmHeight) \
  X(GdipGetCellAscent) \
  X(GdipGetCellDescent) \
  X(GdipGetLineSpacing) \
  X(GdipCreateFont) \
  X(GdipCreateFontFromDC) \
  X(GdipCreateFontFromLogfontW) \
  X(GdipDeleteFont) \
  X(GdipCloneFont) \
  X(GdipGetLogFontW) \
  X(GdipGetFontSize) \
  X(GdipGetFontStyle) \
  X(GdipGetFontUnit) \
  X(GdipGetFamily) \
  X(GdipGetFontHeight) \
  X(GdipGetFontHeightGivenDPI) \
  X(GdipMeasureString) \
  X(GdipDrawString) \
  X(GdipMeasureCharacterRanges) \
  X(GdipDeleteStringFormat) \
  X(GdipCreateStringFormat) \
  X(GdipCloneStringFormat) \
  X(GdipStringFormatGetGenericTypographic) \
  X(GdipStringFormatGetGenericDefault) \
  X(GdipSetStringFormatAlign) \
  X(GdipGetStringFormatAlign) \
  X(GdipSetStringFormatLineAlign) \
  X(GdipGetStringFormatLineAlign) \
  X(GdipGetStringFormatFlags) \
  X(GdipSetStringFormatHotkeyPrefix) \
  X(GdipGetStringFormatHotkeyPrefix) \
  X(GdipGetStringFormatTrimming) \
  X(GdipSetStringFormatTabStops) \
  X(GdipGetStringFormatTabStops) \
  X(GdipGetStringFormatTabStopCount) \
  X(GdipSetStringFormatDigitSubstitution) \
  X(GdipGetStringFormatDigitSubstitution) \
  X(GdipSetStringFormatFlags) \
  X(GdipSetStringFormatTrimming) \
  X(GdipGetStringFormatMeasurableCharacterRangeCount) \
  X(GdipSetStringFormatMeasurableCharacterRanges) \
  X(GdipImageGetFrameDimensionsCount) \
  X(GdipImageGetFrameDimensionsList) \
  X(GdipImageGetFrameCount) \
  X(GdipImageSelectActiveFrame) \
  X(GdipGetPropertyItemSize) \
  X(GdipGetPropertyItem) \
  X(GdipDrawImagePoints) \
  X(GdipDrawImagePointsRect)
// clang-format on

#define QD_DXGDIPLUS_DECLARE(Name) extern decltype(&gdiplus::Name) Name;
QD_DXGDIPLUS_ENTRIES(QD_DXGDIPLUS_DECLARE)
#undef QD_DXGDIPLUS_DECLARE

#define QD_DXGDIPLUS_ONE(Name) +1
// The number of entry points the binding looks up.
inline constexpr int dxGpEntryCount = 0 QD_DXGDIPLUS_ENTRIES(QD_DXGDIPLUS_ONE);
#undef QD_DXGDIPLUS_ONE

// The number of entry points currently bound.
int dxGpBoundEntryCount();

// ---- Codec identifiers and raw formats ---------------------------------------------------

using TdxGpClassID = gdiplus::CLSID;
extern TdxGpClassID PNGEncoder, PNGDecoder, BMPEncoder, BMPDecoder, GIFEncoder, GIFDecoder, JPEGEncoder,
    JPEGDecoder, TIFFEncoder, TIFFDecoder, EMFDecoder, WMFDecoder, ICONDecoder;
inline const gdiplus::GUID& ImageFormatMemoryBMP = gdiplus::ImageFormatMemoryBMP;
inline const gdiplus::GUID& ImageFormatBMP = gdiplus::ImageFormatBMP;
inline const gdiplus::GUID& ImageFormatEMF = gdiplus::ImageFormatEMF;
inline const gdiplus::GUID& ImageFormatWMF = gdiplus::ImageFormatWMF;
inline const gdiplus::GUID& ImageFormatJPEG = gdiplus::ImageFormatJPEG;
inline const gdiplus::GUID& ImageFormatPNG = gdiplus::ImageFormatPNG;
inline const gdiplus::GUID& ImageFormatGIF = gdiplus::ImageFormatGIF;
inline const gdiplus::GUID& ImageFormatTIFF = gdiplus::ImageFormatTIFF;
inline const gdiplus::GUID& ImageFormatIcon = gdiplus::ImageFormatIcon;
inline const gdiplus::GUID& EncoderQuality = gdiplus::EncoderQuality;
inline constexpr int32_t EncoderParameterValueTypeLong = 4;

// ---- Errors ------------------------------------------------------------------------------

extern const TResStringRec sdxGdipInvalidOperation;       // "Invalid operation in GDI+ (Code: %d)"
extern const TResStringRec sdxGdipInvalidOperationWin32;  // "... (Win32 error code: %d)"

class EdxGdipException : public EdxException {
  QD_CLASS(EdxGdipException, EdxException)

 public:
  explicit EdxGdipException(Status AStatus);
  Status GetStatus() const { return FStatus; }

 private:
  Status FStatus;
};

// Raises EdxGdipException for every status but Ok.
void GdipCheck(Status AStatus);

// ---- Loading -----------------------------------------------------------------------------

void GdiPlusLoad();
void GdiPlusUnload();
// Loads GDI+ on first use and tells whether it is usable. With AHaltOnError an unusable GDI+
// shows the error box and ends the process.
bool CheckGdiPlus(bool AHaltOnError = false);

Status GetEncoderID(const String& AMimeType, TdxGpClassID& AClassID);
Status GetDecoderID(const String& AMimeType, TdxGpClassID& AClassID);
bool IsCodecIDValid(const TdxGpClassID& AClassID);
Status CheckEncoder(const String& AMimeType, TdxGpClassID& AClassID);
Status CheckDecoder(const String& AMimeType, TdxGpClassID& AClassID);
void CheckImageCodecs();
void CheckPngCodec();

// A new 32-bit premultiplied ARGB bitmap.
GpBitmap* dxGpCreateBitmap(int32_t AWidth, int32_t AHeight);
GpBitmap* dxGpCreateBitmap(const TSize& ASize);
GpBitmap* dxGpCreateBitmap(const TRect& R);

// The base of every GDI+ wrapper object: on the heap its memory comes from GdipAlloc while
// GDI+ is present.
class TdxGpBase : public TObject {
  QD_CLASS(TdxGpBase, TObject)

 public:
  TdxGpBase();
  bool IsGpUsed() const { return FIsGpUsed; }

  static void* operator new(std::size_t ASize);
  static void operator delete(void* APointer);

 private:
  bool FIsGpUsed = false;
};

namespace dxGDIPlusAPI {
void Initialize();
void Finalize();
}  // namespace dxGDIPlusAPI

}  // namespace qd
