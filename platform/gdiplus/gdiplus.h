#pragma once
// The GDI+ flat API: statuses, enumerations, records and the Gdip... entry points, with the
// original names and numeric values, drawn over cairo and decoded with the codec module.
//
// Conventions of this implementation:
// - Every entry point returns a Status; null pointers, stale or wrong handles, zero or negative
//   sizes and non-finite coordinates give InvalidParameter (huge device coordinates give
//   ValueOverflow), never a crash. Entry points other than GdiplusStartup, GdiplusShutdown,
//   GdipAlloc/GdipFree and the Delete/Dispose calls answer GdiplusNotInitialized while GDI+ is
//   not started.
// - Pixel centres lie on integer coordinates with PixelOffsetMode Default, HighSpeed and None,
//   and half-way between them with Half and HighQuality. SmoothingMode None rasterises aliased:
//   a pixel is covered when its centre is inside the shape; pens no wider than one device pixel
//   are drawn as one-pixel lines that include both end points. Image pixels follow the same
//   rule, so an unscaled image at whole coordinates is copied exactly in every mode, while an
//   enlarged one sits half a source pixel up and left with integer centres, and a world
//   transform mirrored about x = w / 2 moves a mirrored image by one pixel (Half mode mirrors
//   about pixel edges). Nearest-neighbour samples half-way between two source pixels take the
//   later one.
// - Pens in UnitPixel (and the physical units) keep their width in device pixels whatever the
//   world transform; UnitWorld pens are scaled by it. Pens thinner than a pixel draw one pixel.
// - Clip regions are rasterised to whole pixels (a pixel is inside when its centre is).
// - Destination pixels are premultiplied ARGB; a DC whose bitmap is not 32 bits per pixel is
//   drawn through a converted copy of the affected area.
// - Images decode eagerly. EMF and WMF files load as metafile images (type Metafile, raw
//   format EMF or WMF) of their frame's size in pixels, with their pixels at that size so that
//   everything that reads pixels works; drawing at another size plays the records again at
//   the size drawn. A damaged metafile gives InvalidParameter. There are decoders, no encoders.
//   Calls that would change a metafile's pixels (SetPixel, LockBits for writing, RotateFlip,
//   a graphics on the image) answer InvalidParameter.
// - PropertyItem has its native layout: the value follows a header of sizeof(PropertyItem)
//   bytes (24 on this 64-bit platform), not 16 as on 32-bit systems.
// - Text is laid out with unhinted advances, the same for measuring and drawing; the generic
//   default format pads lines by a sixth of the em at both ends, the typographic one does not.
//   No font fallback, kerning or vertical text; without tab stops tabs advance to multiples of
//   four spaces.
// - GdipStringFormatGetGeneric*, GdipGetGenericFontFamily*, GdipGetFamily, GdipGetPenBrushFill
//   and GdipGetTextureImage return new objects that the caller deletes.
#include <cstddef>
#include <cstdint>

#include "platform/gdiplus/codec_image.h"
#include "platform/os/gdi.h"
#include "platform/os/gdi_metafile.h"
#include "platform/os/objidl.h"
#include "platform/os/kernel.h"

namespace qd::gdiplus {

using REAL = float;
using ARGB = uint32_t;
using PixelFormat = int32_t;
using GraphicsState = UINT;
using GraphicsContainer = UINT;
using PROPID = uint32_t;
using LANGID = uint16_t;
using UINT16 = uint16_t;
using ULONG_PTR = uintptr_t;
using GUID = codecs::Guid;
using CLSID = GUID;

// ---- Statuses --------------------------------------------------------------------------------

enum Status : int32_t {
  Ok = 0,
  GenericError = 1,
  InvalidParameter = 2,
  OutOfMemory = 3,
  ObjectBusy = 4,
  InsufficientBuffer = 5,
  NotImplemented = 6,
  Win32Error = 7,
  WrongState = 8,
  Aborted = 9,
  FileNotFound = 10,
  ValueOverflow = 11,
  AccessDenied = 12,
  UnknownImageFormat = 13,
  FontFamilyNotFound = 14,
  FontStyleNotFound = 15,
  NotTrueTypeFont = 16,
  UnsupportedGdiplusVersion = 17,
  GdiplusNotInitialized = 18,
  PropertyNotFound = 19,
  PropertyNotSupported = 20,
  ProfileNotFound = 21,
};
using GpStatus = Status;

// ---- Enumerations ----------------------------------------------------------------------------

enum Unit : int32_t {
  UnitWorld = 0,
  UnitDisplay = 1,
  UnitPixel = 2,
  UnitPoint = 3,
  UnitInch = 4,
  UnitDocument = 5,
  UnitMillimeter = 6,
};
using GpUnit = Unit;

enum FillMode : int32_t { FillModeAlternate = 0, FillModeWinding = 1 };
using GpFillMode = FillMode;

enum QualityMode : int32_t {
  QualityModeInvalid = -1,
  QualityModeDefault = 0,
  QualityModeLow = 1,
  QualityModeHigh = 2
};

enum CompositingMode : int32_t { CompositingModeSourceOver = 0, CompositingModeSourceCopy = 1 };

enum CompositingQuality : int32_t {
  CompositingQualityInvalid = -1,
  CompositingQualityDefault = 0,
  CompositingQualityHighSpeed = 1,
  CompositingQualityHighQuality = 2,
  CompositingQualityGammaCorrected = 3,
  CompositingQualityAssumeLinear = 4,
};

enum SmoothingMode : int32_t {
  SmoothingModeInvalid = -1,
  SmoothingModeDefault = 0,
  SmoothingModeHighSpeed = 1,
  SmoothingModeHighQuality = 2,
  SmoothingModeNone = 3,
  SmoothingModeAntiAlias = 4,
  SmoothingModeAntiAlias8x4 = 4,
  SmoothingModeAntiAlias8x8 = 5,
};

enum InterpolationMode : int32_t {
  InterpolationModeInvalid = -1,
  InterpolationModeDefault = 0,
  InterpolationModeLowQuality = 1,
  InterpolationModeHighQuality = 2,
  InterpolationModeBilinear = 3,
  InterpolationModeBicubic = 4,
  InterpolationModeNearestNeighbor = 5,
  InterpolationModeHighQualityBilinear = 6,
  InterpolationModeHighQualityBicubic = 7,
};

enum PixelOffsetMode : int32_t {
  PixelOffsetModeInvalid = -1,
  PixelOffsetModeDefault = 0,
  PixelOffsetModeHighSpeed = 1,
  PixelOffsetModeHighQuality = 2,
  PixelOffsetModeNone = 3,
  PixelOffsetModeHalf = 4,
};

enum TextRenderingHint : int32_t {
  TextRenderingHintSystemDefault = 0,
  TextRenderingHintSingleBitPerPixelGridFit = 1,
  TextRenderingHintSingleBitPerPixel = 2,
  TextRenderingHintAntiAliasGridFit = 3,
  TextRenderingHintAntiAlias = 4,
  TextRenderingHintClearTypeGridFit = 5,
};

enum MatrixOrder : int32_t { MatrixOrderPrepend = 0, MatrixOrderAppend = 1 };
using GpMatrixOrder = MatrixOrder;

enum CoordinateSpace : int32_t {
  CoordinateSpaceWorld = 0,
  CoordinateSpacePage = 1,
  CoordinateSpaceDevice = 2
};
using GpCoordinateSpace = CoordinateSpace;

enum CombineMode : int32_t {
  CombineModeReplace = 0,
  CombineModeIntersect = 1,
  CombineModeUnion = 2,
  CombineModeXor = 3,
  CombineModeExclude = 4,
  CombineModeComplement = 5,
};

enum WrapMode : int32_t {
  WrapModeTile = 0,
  WrapModeTileFlipX = 1,
  WrapModeTileFlipY = 2,
  WrapModeTileFlipXY = 3,
  WrapModeClamp = 4,
};
using GpWrapMode = WrapMode;

enum CustomLineCapType : int32_t {
  CustomLineCapTypeDefault = 0,
  CustomLineCapTypeAdjustableArrow = 1,
};

enum LinearGradientMode : int32_t {
  LinearGradientModeHorizontal = 0,
  LinearGradientModeVertical = 1,
  LinearGradientModeForwardDiagonal = 2,
  LinearGradientModeBackwardDiagonal = 3,
};

enum BrushType : int32_t {
  BrushTypeSolidColor = 0,
  BrushTypeHatchFill = 1,
  BrushTypeTextureFill = 2,
  BrushTypePathGradient = 3,
  BrushTypeLinearGradient = 4,
};
using GpBrushType = BrushType;

enum HatchStyle : int32_t {
  HatchStyleHorizontal = 0,
  HatchStyleVertical = 1,
  HatchStyleForwardDiagonal = 2,
  HatchStyleBackwardDiagonal = 3,
  HatchStyleCross = 4,
  HatchStyleDiagonalCross = 5,
  HatchStyle05Percent = 6,
  HatchStyle10Percent = 7,
  HatchStyle20Percent = 8,
  HatchStyle25Percent = 9,
  HatchStyle30Percent = 10,
  HatchStyle40Percent = 11,
  HatchStyle50Percent = 12,
  HatchStyle60Percent = 13,
  HatchStyle70Percent = 14,
  HatchStyle75Percent = 15,
  HatchStyle80Percent = 16,
  HatchStyle90Percent = 17,
  HatchStyleLightDownwardDiagonal = 18,
  HatchStyleLightUpwardDiagonal = 19,
  HatchStyleDarkDownwardDiagonal = 20,
  HatchStyleDarkUpwardDiagonal = 21,
  HatchStyleWideDownwardDiagonal = 22,
  HatchStyleWideUpwardDiagonal = 23,
  HatchStyleLightVertical = 24,
  HatchStyleLightHorizontal = 25,
  HatchStyleNarrowVertical = 26,
  HatchStyleNarrowHorizontal = 27,
  HatchStyleDarkVertical = 28,
  HatchStyleDarkHorizontal = 29,
  HatchStyleDashedDownwardDiagonal = 30,
  HatchStyleDashedUpwardDiagonal = 31,
  HatchStyleDashedHorizontal = 32,
  HatchStyleDashedVertical = 33,
  HatchStyleSmallConfetti = 34,
  HatchStyleLargeConfetti = 35,
  HatchStyleZigZag = 36,
  HatchStyleWave = 37,
  HatchStyleDiagonalBrick = 38,
  HatchStyleHorizontalBrick = 39,
  HatchStyleWeave = 40,
  HatchStylePlaid = 41,
  HatchStyleDivot = 42,
  HatchStyleDottedGrid = 43,
  HatchStyleDottedDiamond = 44,
  HatchStyleShingle = 45,
  HatchStyleTrellis = 46,
  HatchStyleSphere = 47,
  HatchStyleSmallGrid = 48,
  HatchStyleSmallCheckerBoard = 49,
  HatchStyleLargeCheckerBoard = 50,
  HatchStyleOutlinedDiamond = 51,
  HatchStyleSolidDiamond = 52,
  HatchStyleTotal = 53,
  HatchStyleLargeGrid = HatchStyleCross,
  HatchStyleMin = HatchStyleHorizontal,
  HatchStyleMax = HatchStyleTotal - 1,
};
using GpHatchStyle = HatchStyle;

enum PenAlignment : int32_t {
  PenAlignmentCenter = 0,
  PenAlignmentInset = 1,
  PenAlignmentOutset = 2,
  PenAlignmentLeft = 3,
  PenAlignmentRight = 4,
};
using GpPenAlignment = PenAlignment;

enum PenType : int32_t {
  PenTypeSolidColor = BrushTypeSolidColor,
  PenTypeHatchFill = BrushTypeHatchFill,
  PenTypeTextureFill = BrushTypeTextureFill,
  PenTypePathGradient = BrushTypePathGradient,
  PenTypeLinearGradient = BrushTypeLinearGradient,
  PenTypeUnknown = -1,
};
using GpPenType = PenType;

enum DashStyle : int32_t {
  DashStyleSolid = 0,
  DashStyleDash = 1,
  DashStyleDot = 2,
  DashStyleDashDot = 3,
  DashStyleDashDotDot = 4,
  DashStyleCustom = 5,
};
using GpDashStyle = DashStyle;

enum DashCap : int32_t { DashCapFlat = 0, DashCapRound = 2, DashCapTriangle = 3 };
using GpDashCap = DashCap;

enum LineCap : int32_t {
  LineCapFlat = 0,
  LineCapSquare = 1,
  LineCapRound = 2,
  LineCapTriangle = 3,
  LineCapNoAnchor = 0x10,
  LineCapSquareAnchor = 0x11,
  LineCapRoundAnchor = 0x12,
  LineCapDiamondAnchor = 0x13,
  LineCapArrowAnchor = 0x14,
  LineCapCustom = 0xff,
  LineCapAnchorMask = 0xf0,
};
using GpLineCap = LineCap;

enum LineJoin : int32_t { LineJoinMiter = 0, LineJoinBevel = 1, LineJoinRound = 2, LineJoinMiterClipped = 3 };
using GpLineJoin = LineJoin;

enum PathPointType : uint8_t {
  PathPointTypeStart = 0,
  PathPointTypeLine = 1,
  PathPointTypeBezier = 3,
  PathPointTypePathTypeMask = 0x07,
  PathPointTypeDashMode = 0x10,
  PathPointTypePathMarker = 0x20,
  PathPointTypeCloseSubpath = 0x80,
  PathPointTypeBezier3 = 3,
};

enum FontStyle : int32_t {
  FontStyleRegular = 0,
  FontStyleBold = 1,
  FontStyleItalic = 2,
  FontStyleBoldItalic = 3,
  FontStyleUnderline = 4,
  FontStyleStrikeout = 8,
};

enum StringAlignment : int32_t { StringAlignmentNear = 0, StringAlignmentCenter = 1, StringAlignmentFar = 2 };

enum StringTrimming : int32_t {
  StringTrimmingNone = 0,
  StringTrimmingCharacter = 1,
  StringTrimmingWord = 2,
  StringTrimmingEllipsisCharacter = 3,
  StringTrimmingEllipsisWord = 4,
  StringTrimmingEllipsisPath = 5,
};

enum StringFormatFlags : int32_t {
  StringFormatFlagsDirectionRightToLeft = 0x00000001,
  StringFormatFlagsDirectionVertical = 0x00000002,
  StringFormatFlagsNoFitBlackBox = 0x00000004,
  StringFormatFlagsDisplayFormatControl = 0x00000020,
  StringFormatFlagsNoFontFallback = 0x00000400,
  StringFormatFlagsMeasureTrailingSpaces = 0x00000800,
  StringFormatFlagsNoWrap = 0x00001000,
  StringFormatFlagsLineLimit = 0x00002000,
  StringFormatFlagsNoClip = 0x00004000,
  StringFormatFlagsBypassGDI = static_cast<int32_t>(0x80000000),
};

enum HotkeyPrefix : int32_t { HotkeyPrefixNone = 0, HotkeyPrefixShow = 1, HotkeyPrefixHide = 2 };

enum StringDigitSubstitute : int32_t {
  StringDigitSubstituteUser = 0,
  StringDigitSubstituteNone = 1,
  StringDigitSubstituteNational = 2,
  StringDigitSubstituteTraditional = 3,
};

enum ImageType : int32_t { ImageTypeUnknown = 0, ImageTypeBitmap = 1, ImageTypeMetafile = 2 };

enum ImageLockMode : UINT { ImageLockModeRead = 1, ImageLockModeWrite = 2, ImageLockModeUserInputBuf = 4 };

enum RotateFlipType : int32_t {
  RotateNoneFlipNone = 0,
  Rotate90FlipNone = 1,
  Rotate180FlipNone = 2,
  Rotate270FlipNone = 3,
  RotateNoneFlipX = 4,
  Rotate90FlipX = 5,
  Rotate180FlipX = 6,
  Rotate270FlipX = 7,
  RotateNoneFlipY = Rotate180FlipX,
  Rotate90FlipY = Rotate270FlipX,
  Rotate180FlipY = RotateNoneFlipX,
  Rotate270FlipY = Rotate90FlipX,
  RotateNoneFlipXY = Rotate180FlipNone,
  Rotate90FlipXY = Rotate270FlipNone,
  Rotate180FlipXY = RotateNoneFlipNone,
  Rotate270FlipXY = Rotate90FlipNone,
};

enum ColorAdjustType : int32_t {
  ColorAdjustTypeDefault = 0,
  ColorAdjustTypeBitmap = 1,
  ColorAdjustTypeBrush = 2,
  ColorAdjustTypePen = 3,
  ColorAdjustTypeText = 4,
  ColorAdjustTypeCount = 5,
  ColorAdjustTypeAny = 6,
};

enum ColorMatrixFlags : int32_t {
  ColorMatrixFlagsDefault = 0,
  ColorMatrixFlagsSkipGrays = 1,
  ColorMatrixFlagsAltGray = 2,
};

enum ColorChannelFlags : int32_t {
  ColorChannelFlagsC = 0,
  ColorChannelFlagsM = 1,
  ColorChannelFlagsY = 2,
  ColorChannelFlagsK = 3,
  ColorChannelFlagsLast = 4,
};

enum EncoderParameterValueType : int32_t {
  EncoderParameterValueTypeByte = 1,
  EncoderParameterValueTypeASCII = 2,
  EncoderParameterValueTypeShort = 3,
  EncoderParameterValueTypeLong = 4,
  EncoderParameterValueTypeRational = 5,
  EncoderParameterValueTypeLongRange = 6,
  EncoderParameterValueTypeUndefined = 7,
  EncoderParameterValueTypeRationalRange = 8,
  EncoderParameterValueTypePointer = 9,
};

enum ImageCodecFlags : DWORD {
  ImageCodecFlagsEncoder = 0x00000001,
  ImageCodecFlagsDecoder = 0x00000002,
  ImageCodecFlagsSupportBitmap = 0x00000004,
  ImageCodecFlagsSupportVector = 0x00000008,
  ImageCodecFlagsSeekableEncode = 0x00000010,
  ImageCodecFlagsBlockingDecode = 0x00000020,
  ImageCodecFlagsBuiltin = 0x00010000,
  ImageCodecFlagsSystem = 0x00020000,
  ImageCodecFlagsUser = 0x00040000,
};

enum FlushIntention : int32_t { FlushIntentionFlush = 0, FlushIntentionSync = 1 };

enum DebugEventLevel : int32_t { DebugEventLevelFatal = 0, DebugEventLevelWarning = 1 };

// Pixel formats (bits 0-7 index, 8-15 bits per pixel, 16-31 flags).
constexpr PixelFormat PixelFormatIndexed = 0x00010000;
constexpr PixelFormat PixelFormatGDI = 0x00020000;
constexpr PixelFormat PixelFormatAlpha = 0x00040000;
constexpr PixelFormat PixelFormatPAlpha = 0x00080000;
constexpr PixelFormat PixelFormatExtended = 0x00100000;
constexpr PixelFormat PixelFormatCanonical = 0x00200000;
constexpr PixelFormat PixelFormatUndefined = 0;
constexpr PixelFormat PixelFormatDontCare = 0;
constexpr PixelFormat PixelFormat1bppIndexed = 0x00030101;
constexpr PixelFormat PixelFormat4bppIndexed = 0x00030402;
constexpr PixelFormat PixelFormat8bppIndexed = 0x00030803;
constexpr PixelFormat PixelFormat16bppGrayScale = 0x00101004;
constexpr PixelFormat PixelFormat16bppRGB555 = 0x00021005;
constexpr PixelFormat PixelFormat16bppRGB565 = 0x00021006;
constexpr PixelFormat PixelFormat16bppARGB1555 = 0x00061007;
constexpr PixelFormat PixelFormat24bppRGB = 0x00021808;
constexpr PixelFormat PixelFormat32bppRGB = 0x00022009;
constexpr PixelFormat PixelFormat32bppARGB = 0x0026200A;
constexpr PixelFormat PixelFormat32bppPARGB = 0x000E200B;
constexpr PixelFormat PixelFormat48bppRGB = 0x0010300C;
constexpr PixelFormat PixelFormat64bppARGB = 0x0034400D;
constexpr PixelFormat PixelFormat64bppPARGB = 0x001A400E;
constexpr PixelFormat PixelFormat32bppCMYK = 0x0000200F;
constexpr PixelFormat PixelFormatMax = 16;

constexpr UINT GetPixelFormatSize(PixelFormat format) {
  return (static_cast<UINT>(format) >> 8) & 0xFF;
}

// Image flags (GdipGetImageFlags).
constexpr UINT ImageFlagsNone = 0;
constexpr UINT ImageFlagsScalable = 0x0001;
constexpr UINT ImageFlagsHasAlpha = 0x0002;
constexpr UINT ImageFlagsHasTranslucent = 0x0004;
constexpr UINT ImageFlagsPartiallyScalable = 0x0008;
constexpr UINT ImageFlagsColorSpaceRGB = 0x0010;
constexpr UINT ImageFlagsColorSpaceCMYK = 0x0020;
constexpr UINT ImageFlagsColorSpaceGRAY = 0x0040;
constexpr UINT ImageFlagsColorSpaceYCBCR = 0x0080;
constexpr UINT ImageFlagsColorSpaceYCCK = 0x0100;
constexpr UINT ImageFlagsHasRealDPI = 0x1000;
constexpr UINT ImageFlagsHasRealPixelSize = 0x2000;
constexpr UINT ImageFlagsReadOnly = 0x00010000;
constexpr UINT ImageFlagsCaching = 0x00020000;

// Palette flags.
constexpr UINT PaletteFlagsHasAlpha = 0x0001;
constexpr UINT PaletteFlagsGrayScale = 0x0002;
constexpr UINT PaletteFlagsHalftone = 0x0004;

// Property tags used by frame animation.
constexpr PROPID PropertyTagFrameDelay = 0x5100;
constexpr PROPID PropertyTagLoopCount = 0x5101;
constexpr WORD PropertyTagTypeByte = 1;
constexpr WORD PropertyTagTypeASCII = 2;
constexpr WORD PropertyTagTypeShort = 3;
constexpr WORD PropertyTagTypeLong = 4;
constexpr WORD PropertyTagTypeRational = 5;
constexpr WORD PropertyTagTypeUndefined = 7;
constexpr WORD PropertyTagTypeSLONG = 9;
constexpr WORD PropertyTagTypeSRational = 10;

// Encoder parameter values.
constexpr LONG EncoderValueCompressionLZW = 2;
constexpr LONG EncoderValueCompressionNone = 6;

// Identifiers: raw formats, frame dimensions, encoder parameters and the built-in codecs.
extern const GUID ImageFormatUndefined;
extern const GUID ImageFormatMemoryBMP;
extern const GUID ImageFormatBMP;
extern const GUID ImageFormatEMF;
extern const GUID ImageFormatWMF;
extern const GUID ImageFormatJPEG;
extern const GUID ImageFormatPNG;
extern const GUID ImageFormatGIF;
extern const GUID ImageFormatTIFF;
extern const GUID ImageFormatEXIF;
extern const GUID ImageFormatIcon;
extern const GUID FrameDimensionTime;
extern const GUID FrameDimensionResolution;
extern const GUID FrameDimensionPage;
extern const GUID EncoderCompression;
extern const GUID EncoderColorDepth;
extern const GUID EncoderQuality;
// Class identifiers of the built-in codecs (each is both encoder and decoder where it can).
extern const CLSID CLSID_BmpCodec;
extern const CLSID CLSID_JpegCodec;
extern const CLSID CLSID_GifCodec;
extern const CLSID CLSID_TiffCodec;
extern const CLSID CLSID_PngCodec;
extern const CLSID CLSID_IconCodec;
extern const CLSID CLSID_EmfCodec;
extern const CLSID CLSID_WmfCodec;

// ---- Records ---------------------------------------------------------------------------------

struct GpPointF {
  REAL X = 0;
  REAL Y = 0;
};
struct GpPoint {
  INT X = 0;
  INT Y = 0;
};
struct GpSizeF {
  REAL Width = 0;
  REAL Height = 0;
};
struct GpRectF {
  REAL X = 0;
  REAL Y = 0;
  REAL Width = 0;
  REAL Height = 0;
};
struct GpRect {
  INT X = 0;
  INT Y = 0;
  INT Width = 0;
  INT Height = 0;
};
using PointF = GpPointF;
using Point = GpPoint;
using SizeF = GpSizeF;
using RectF = GpRectF;
using Rect = GpRect;

struct CharacterRange {
  INT First = 0;
  INT Length = 0;
};

struct ColorMatrix {
  REAL m[5][5] = {};
};

struct ColorMap {
  ARGB oldColor = 0;
  ARGB newColor = 0;
};

struct ColorPalette {
  UINT Flags = 0;
  UINT Count = 0;
  ARGB Entries[1] = {};  // Count entries
};

struct GpPathData {
  INT Count = 0;
  GpPointF* Points = nullptr;
  BYTE* Types = nullptr;
};

struct BitmapData {
  UINT Width = 0;
  UINT Height = 0;
  INT Stride = 0;
  gdiplus::PixelFormat PixelFormat = 0;
  void* Scan0 = nullptr;
  uintptr_t Reserved = 0;
};

struct PropertyItem {
  PROPID id = 0;
  ULONG length = 0;  // bytes of value
  WORD type = 0;
  void* value = nullptr;
};

struct EncoderParameter {
  GUID Guid;
  ULONG NumberOfValues = 0;
  ULONG Type = 0;
  void* Value = nullptr;
};

struct EncoderParameters {
  UINT Count = 0;
  EncoderParameter Parameter[1];  // Count parameters
};

struct ImageCodecInfo {
  CLSID Clsid;
  GUID FormatID;
  const WCHAR* CodecName = nullptr;
  const WCHAR* DllName = nullptr;
  const WCHAR* FormatDescription = nullptr;
  const WCHAR* FilenameExtension = nullptr;
  const WCHAR* MimeType = nullptr;
  DWORD Flags = 0;
  DWORD Version = 0;
  DWORD SigCount = 0;
  DWORD SigSize = 0;
  const BYTE* SigPattern = nullptr;
  const BYTE* SigMask = nullptr;
};

// ---- Start-up --------------------------------------------------------------------------------

using DebugEventProc = void (*)(DebugEventLevel level, char* message);
using NotificationHookProc = Status (*)(ULONG_PTR* token);
using NotificationUnhookProc = void (*)(ULONG_PTR token);

struct GdiplusStartupInput {
  uint32_t GdiplusVersion = 1;
  DebugEventProc DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = FALSE;
  BOOL SuppressExternalCodecs = FALSE;
};

struct GdiplusStartupOutput {
  NotificationHookProc NotificationHook = nullptr;
  NotificationUnhookProc NotificationUnhook = nullptr;
};

// ---- Streams ---------------------------------------------------------------------------------

// IStream and its records come from platform/os/objidl.h; S_OK, S_FALSE, E_FAIL and
// E_INVALIDARG from platform/os/kernel.h.
constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFF);
using ::qd::IStream;
using ::qd::STATFLAG_DEFAULT;
using ::qd::STATFLAG_NONAME;
using ::qd::STATSTG;
using ::qd::STG_E_INVALIDFUNCTION;
using ::qd::STG_E_INVALIDPOINTER;
using ::qd::STG_E_MEDIUMFULL;
using ::qd::STGTY_STREAM;
using ::qd::STREAM_SEEK_CUR;
using ::qd::STREAM_SEEK_END;
using ::qd::STREAM_SEEK_SET;

// ---- Handles ---------------------------------------------------------------------------------

struct GpGraphics {};
struct GpBrush {};
struct GpSolidFill : GpBrush {};
struct GpLineGradient : GpBrush {};
struct GpTexture : GpBrush {};
struct GpHatch : GpBrush {};
struct GpPathGradient : GpBrush {};
struct GpPen {};
struct GpPath {};
struct GpRegion {};
struct GpMatrix {};
struct GpImage {};
struct GpBitmap : GpImage {};
struct GpMetafile : GpImage {};
struct GpImageAttributes {};
struct GpStringFormat {};
struct GpFontFamily {};
struct GpFont {};
struct GpFontCollection {};
struct GpCustomLineCap {};
struct GpAdjustableArrowCap : GpCustomLineCap {};

using ::qd::HENHMETAFILE;

using DrawImageAbort = BOOL (*)(void* data);
using GetThumbnailImageAbort = DrawImageAbort;

// ---- Module table ----------------------------------------------------------------------------

// Registers every entry point below under "gdiplus.dll" in the platform's module table.
void RegisterModule();

// ---- Entry points ----------------------------------------------------------------------------

Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output);
void GdiplusShutdown(ULONG_PTR token);
void* GdipAlloc(size_t size);
void GdipFree(void* ptr);

// Graphics.
Status GdipCreateFromHDC(HDC hdc, GpGraphics** graphics);
Status GdipCreateFromHDC2(HDC hdc, HANDLE device, GpGraphics** graphics);
Status GdipCreateFromHWND(HWND hwnd, GpGraphics** graphics);
Status GdipCreateFromHWNDICM(HWND hwnd, GpGraphics** graphics);
Status GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics);
Status GdipDeleteGraphics(GpGraphics* graphics);
Status GdipGetDC(GpGraphics* graphics, HDC* hdc);
Status GdipReleaseDC(GpGraphics* graphics, HDC hdc);
Status GdipFlush(GpGraphics* graphics, FlushIntention intention);
Status GdipGraphicsClear(GpGraphics* graphics, ARGB color);
Status GdipSetSmoothingMode(GpGraphics* graphics, SmoothingMode mode);
Status GdipGetSmoothingMode(GpGraphics* graphics, SmoothingMode* mode);
Status GdipSetInterpolationMode(GpGraphics* graphics, InterpolationMode mode);
Status GdipGetInterpolationMode(GpGraphics* graphics, InterpolationMode* mode);
Status GdipSetPixelOffsetMode(GpGraphics* graphics, PixelOffsetMode mode);
Status GdipGetPixelOffsetMode(GpGraphics* graphics, PixelOffsetMode* mode);
Status GdipSetCompositingMode(GpGraphics* graphics, CompositingMode mode);
Status GdipGetCompositingMode(GpGraphics* graphics, CompositingMode* mode);
Status GdipSetCompositingQuality(GpGraphics* graphics, CompositingQuality quality);
Status GdipGetCompositingQuality(GpGraphics* graphics, CompositingQuality* quality);
Status GdipSetTextRenderingHint(GpGraphics* graphics, TextRenderingHint hint);
Status GdipGetTextRenderingHint(GpGraphics* graphics, TextRenderingHint* hint);
Status GdipSetTextContrast(GpGraphics* graphics, UINT contrast);
Status GdipGetTextContrast(GpGraphics* graphics, UINT* contrast);
Status GdipSetRenderingOrigin(GpGraphics* graphics, INT x, INT y);
Status GdipGetRenderingOrigin(GpGraphics* graphics, INT* x, INT* y);
Status GdipSetPageUnit(GpGraphics* graphics, GpUnit unit);
Status GdipGetPageUnit(GpGraphics* graphics, GpUnit* unit);
Status GdipSetPageScale(GpGraphics* graphics, REAL scale);
Status GdipGetPageScale(GpGraphics* graphics, REAL* scale);
Status GdipGetDpiX(GpGraphics* graphics, REAL* dpi);
Status GdipGetDpiY(GpGraphics* graphics, REAL* dpi);
Status GdipSetWorldTransform(GpGraphics* graphics, GpMatrix* matrix);
Status GdipResetWorldTransform(GpGraphics* graphics);
Status GdipMultiplyWorldTransform(GpGraphics* graphics, const GpMatrix* matrix, GpMatrixOrder order);
Status GdipTranslateWorldTransform(GpGraphics* graphics, REAL dx, REAL dy, GpMatrixOrder order);
Status GdipScaleWorldTransform(GpGraphics* graphics, REAL sx, REAL sy, GpMatrixOrder order);
Status GdipRotateWorldTransform(GpGraphics* graphics, REAL angle, GpMatrixOrder order);
Status GdipGetWorldTransform(GpGraphics* graphics, GpMatrix* matrix);
Status GdipTransformPoints(GpGraphics* graphics, GpCoordinateSpace destSpace, GpCoordinateSpace srcSpace,
                           GpPointF* points, INT count);
Status GdipTransformPointsI(GpGraphics* graphics, GpCoordinateSpace destSpace, GpCoordinateSpace srcSpace,
                            GpPoint* points, INT count);
Status GdipSaveGraphics(GpGraphics* graphics, GraphicsState* state);
Status GdipRestoreGraphics(GpGraphics* graphics, GraphicsState state);
// Containers: drawing inside one is transformed by, and clipped to, the state at its
// beginning; its own transform and clip start as identity and infinite. Ending a container
// (or restoring a state saved before it) brings back the state from before it.
Status GdipBeginContainer(GpGraphics* graphics, const GpRectF* dstrect, const GpRectF* srcrect, GpUnit unit,
                          GraphicsContainer* state);
Status GdipBeginContainerI(GpGraphics* graphics, const GpRect* dstrect, const GpRect* srcrect, GpUnit unit,
                           GraphicsContainer* state);
Status GdipBeginContainer2(GpGraphics* graphics, GraphicsContainer* state);
Status GdipEndContainer(GpGraphics* graphics, GraphicsContainer state);

// Clipping and visibility.
Status GdipSetClipGraphics(GpGraphics* graphics, GpGraphics* srcgraphics, CombineMode mode);
Status GdipSetClipRect(GpGraphics* graphics, REAL x, REAL y, REAL width, REAL height, CombineMode mode);
Status GdipSetClipRectI(GpGraphics* graphics, INT x, INT y, INT width, INT height, CombineMode mode);
Status GdipSetClipPath(GpGraphics* graphics, GpPath* path, CombineMode mode);
Status GdipSetClipRegion(GpGraphics* graphics, GpRegion* region, CombineMode mode);
Status GdipSetClipHrgn(GpGraphics* graphics, HRGN hrgn, CombineMode mode);
Status GdipResetClip(GpGraphics* graphics);
Status GdipTranslateClip(GpGraphics* graphics, REAL dx, REAL dy);
Status GdipTranslateClipI(GpGraphics* graphics, INT dx, INT dy);
Status GdipGetClip(GpGraphics* graphics, GpRegion* region);
Status GdipGetClipBounds(GpGraphics* graphics, GpRectF* rect);
Status GdipGetClipBoundsI(GpGraphics* graphics, GpRect* rect);
Status GdipGetVisibleClipBounds(GpGraphics* graphics, GpRectF* rect);
Status GdipGetVisibleClipBoundsI(GpGraphics* graphics, GpRect* rect);
Status GdipIsClipEmpty(GpGraphics* graphics, BOOL* result);
Status GdipIsVisibleClipEmpty(GpGraphics* graphics, BOOL* result);
Status GdipIsVisiblePoint(GpGraphics* graphics, REAL x, REAL y, BOOL* result);
Status GdipIsVisiblePointI(GpGraphics* graphics, INT x, INT y, BOOL* result);
Status GdipIsVisibleRect(GpGraphics* graphics, REAL x, REAL y, REAL width, REAL height, BOOL* result);
Status GdipIsVisibleRectI(GpGraphics* graphics, INT x, INT y, INT width, INT height, BOOL* result);

// Outlines.
Status GdipDrawLine(GpGraphics* graphics, GpPen* pen, REAL x1, REAL y1, REAL x2, REAL y2);
Status GdipDrawLineI(GpGraphics* graphics, GpPen* pen, INT x1, INT y1, INT x2, INT y2);
Status GdipDrawLines(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count);
Status GdipDrawLinesI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count);
Status GdipDrawArc(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                   REAL sweepAngle);
Status GdipDrawArcI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height, REAL startAngle,
                    REAL sweepAngle);
Status GdipDrawBezier(GpGraphics* graphics, GpPen* pen, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3,
                      REAL x4, REAL y4);
Status GdipDrawBezierI(GpGraphics* graphics, GpPen* pen, INT x1, INT y1, INT x2, INT y2, INT x3, INT y3,
                       INT x4, INT y4);
Status GdipDrawBeziers(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count);
Status GdipDrawBeziersI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count);
Status GdipDrawRectangle(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height);
Status GdipDrawRectangleI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height);
Status GdipDrawRectangles(GpGraphics* graphics, GpPen* pen, const GpRectF* rects, INT count);
Status GdipDrawRectanglesI(GpGraphics* graphics, GpPen* pen, const GpRect* rects, INT count);
Status GdipDrawEllipse(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height);
Status GdipDrawEllipseI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height);
Status GdipDrawPie(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                   REAL sweepAngle);
Status GdipDrawPieI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height, REAL startAngle,
                    REAL sweepAngle);
Status GdipDrawPolygon(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count);
Status GdipDrawPolygonI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count);
Status GdipDrawPath(GpGraphics* graphics, GpPen* pen, GpPath* path);
Status GdipDrawCurve(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count);
Status GdipDrawCurveI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count);
Status GdipDrawCurve2(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count, REAL tension);
Status GdipDrawCurve2I(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count, REAL tension);
Status GdipDrawCurve3(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count, INT offset,
                      INT numberOfSegments, REAL tension);
Status GdipDrawCurve3I(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count, INT offset,
                       INT numberOfSegments, REAL tension);
Status GdipDrawClosedCurve(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count);
Status GdipDrawClosedCurveI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count);
Status GdipDrawClosedCurve2(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count,
                            REAL tension);
Status GdipDrawClosedCurve2I(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count,
                             REAL tension);

// Fills.
Status GdipFillRectangle(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height);
Status GdipFillRectangleI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height);
Status GdipFillRectangles(GpGraphics* graphics, GpBrush* brush, const GpRectF* rects, INT count);
Status GdipFillRectanglesI(GpGraphics* graphics, GpBrush* brush, const GpRect* rects, INT count);
Status GdipFillPolygon(GpGraphics* graphics, GpBrush* brush, const GpPointF* points, INT count,
                       GpFillMode fillMode);
Status GdipFillPolygonI(GpGraphics* graphics, GpBrush* brush, const GpPoint* points, INT count,
                        GpFillMode fillMode);
Status GdipFillPolygon2(GpGraphics* graphics, GpBrush* brush, const GpPointF* points, INT count);
Status GdipFillPolygon2I(GpGraphics* graphics, GpBrush* brush, const GpPoint* points, INT count);
Status GdipFillEllipse(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height);
Status GdipFillEllipseI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height);
Status GdipFillPie(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height,
                   REAL startAngle, REAL sweepAngle);
Status GdipFillPieI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height,
                    REAL startAngle, REAL sweepAngle);
Status GdipFillPath(GpGraphics* graphics, GpBrush* brush, GpPath* path);
Status GdipFillClosedCurve(GpGraphics* graphics, GpBrush* brush, const GpPointF* points, INT count);
Status GdipFillClosedCurveI(GpGraphics* graphics, GpBrush* brush, const GpPoint* points, INT count);
Status GdipFillClosedCurve2(GpGraphics* graphics, GpBrush* brush, const GpPointF* points, INT count,
                            REAL tension, GpFillMode fillMode);
Status GdipFillClosedCurve2I(GpGraphics* graphics, GpBrush* brush, const GpPoint* points, INT count,
                             REAL tension, GpFillMode fillMode);
Status GdipFillRegion(GpGraphics* graphics, GpBrush* brush, GpRegion* region);

// Images on graphics.
Status GdipDrawImage(GpGraphics* graphics, GpImage* image, REAL x, REAL y);
Status GdipDrawImageI(GpGraphics* graphics, GpImage* image, INT x, INT y);
Status GdipDrawImageRect(GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL width, REAL height);
Status GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width, INT height);
Status GdipDrawImagePoints(GpGraphics* graphics, GpImage* image, const GpPointF* points, INT count);
Status GdipDrawImagePointsI(GpGraphics* graphics, GpImage* image, const GpPoint* points, INT count);
Status GdipDrawImagePointRect(GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL srcx, REAL srcy,
                              REAL srcwidth, REAL srcheight, GpUnit srcUnit);
Status GdipDrawImagePointRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT srcx, INT srcy,
                               INT srcwidth, INT srcheight, GpUnit srcUnit);
Status GdipDrawImageRectRect(GpGraphics* graphics, GpImage* image, REAL dstx, REAL dsty, REAL dstwidth,
                             REAL dstheight, REAL srcx, REAL srcy, REAL srcwidth, REAL srcheight,
                             GpUnit srcUnit, const GpImageAttributes* imageAttributes,
                             DrawImageAbort callback, void* callbackData);
Status GdipDrawImageRectRectI(GpGraphics* graphics, GpImage* image, INT dstx, INT dsty, INT dstwidth,
                              INT dstheight, INT srcx, INT srcy, INT srcwidth, INT srcheight, GpUnit srcUnit,
                              const GpImageAttributes* imageAttributes, DrawImageAbort callback,
                              void* callbackData);
Status GdipDrawImagePointsRect(GpGraphics* graphics, GpImage* image, const GpPointF* points, INT count,
                               REAL srcx, REAL srcy, REAL srcwidth, REAL srcheight, GpUnit srcUnit,
                               const GpImageAttributes* imageAttributes, DrawImageAbort callback,
                               void* callbackData);
Status GdipDrawImagePointsRectI(GpGraphics* graphics, GpImage* image, const GpPoint* points, INT count,
                                INT srcx, INT srcy, INT srcwidth, INT srcheight, GpUnit srcUnit,
                                const GpImageAttributes* imageAttributes, DrawImageAbort callback,
                                void* callbackData);

// Text on graphics.
Status GdipDrawString(GpGraphics* graphics, const WCHAR* string, INT length, const GpFont* font,
                      const GpRectF* layoutRect, const GpStringFormat* stringFormat, const GpBrush* brush);
Status GdipMeasureString(GpGraphics* graphics, const WCHAR* string, INT length, const GpFont* font,
                         const GpRectF* layoutRect, const GpStringFormat* stringFormat, GpRectF* boundingBox,
                         INT* codepointsFitted, INT* linesFilled);
Status GdipMeasureCharacterRanges(GpGraphics* graphics, const WCHAR* string, INT length, const GpFont* font,
                                  const GpRectF& layoutRect, const GpStringFormat* stringFormat,
                                  INT regionCount, GpRegion** regions);

// Matrices.
Status GdipCreateMatrix(GpMatrix** matrix);
Status GdipCreateMatrix2(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy, GpMatrix** matrix);
Status GdipCreateMatrix3(const GpRectF* rect, const GpPointF* dstplg, GpMatrix** matrix);
Status GdipCreateMatrix3I(const GpRect* rect, const GpPoint* dstplg, GpMatrix** matrix);
Status GdipCloneMatrix(GpMatrix* matrix, GpMatrix** cloneMatrix);
Status GdipDeleteMatrix(GpMatrix* matrix);
Status GdipSetMatrixElements(GpMatrix* matrix, REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy);
Status GdipGetMatrixElements(const GpMatrix* matrix, REAL* matrixOut);
Status GdipMultiplyMatrix(GpMatrix* matrix, GpMatrix* matrix2, GpMatrixOrder order);
Status GdipTranslateMatrix(GpMatrix* matrix, REAL offsetX, REAL offsetY, GpMatrixOrder order);
Status GdipScaleMatrix(GpMatrix* matrix, REAL scaleX, REAL scaleY, GpMatrixOrder order);
Status GdipRotateMatrix(GpMatrix* matrix, REAL angle, GpMatrixOrder order);
Status GdipShearMatrix(GpMatrix* matrix, REAL shearX, REAL shearY, GpMatrixOrder order);
Status GdipInvertMatrix(GpMatrix* matrix);
Status GdipTransformMatrixPoints(GpMatrix* matrix, GpPointF* pts, INT count);
Status GdipTransformMatrixPointsI(GpMatrix* matrix, GpPoint* pts, INT count);
Status GdipVectorTransformMatrixPoints(GpMatrix* matrix, GpPointF* pts, INT count);
Status GdipVectorTransformMatrixPointsI(GpMatrix* matrix, GpPoint* pts, INT count);
Status GdipIsMatrixInvertible(const GpMatrix* matrix, BOOL* result);
Status GdipIsMatrixIdentity(const GpMatrix* matrix, BOOL* result);
Status GdipIsMatrixEqual(const GpMatrix* matrix, const GpMatrix* matrix2, BOOL* result);

// Brushes.
Status GdipCloneBrush(GpBrush* brush, GpBrush** cloneBrush);
Status GdipDeleteBrush(GpBrush* brush);
Status GdipGetBrushType(GpBrush* brush, GpBrushType* type);
Status GdipCreateSolidFill(ARGB color, GpSolidFill** brush);
Status GdipSetSolidFillColor(GpSolidFill* brush, ARGB color);
Status GdipGetSolidFillColor(GpSolidFill* brush, ARGB* color);
Status GdipCreateHatchBrush(GpHatchStyle hatchstyle, ARGB forecol, ARGB backcol, GpHatch** brush);
Status GdipGetHatchStyle(GpHatch* brush, GpHatchStyle* hatchstyle);
Status GdipGetHatchForegroundColor(GpHatch* brush, ARGB* forecol);
Status GdipGetHatchBackgroundColor(GpHatch* brush, ARGB* backcol);
Status GdipCreateLineBrush(const GpPointF* point1, const GpPointF* point2, ARGB color1, ARGB color2,
                           GpWrapMode wrapMode, GpLineGradient** lineGradient);
Status GdipCreateLineBrushI(const GpPoint* point1, const GpPoint* point2, ARGB color1, ARGB color2,
                            GpWrapMode wrapMode, GpLineGradient** lineGradient);
Status GdipCreateLineBrushFromRect(const GpRectF* rect, ARGB color1, ARGB color2, LinearGradientMode mode,
                                   GpWrapMode wrapMode, GpLineGradient** lineGradient);
Status GdipCreateLineBrushFromRectI(const GpRect* rect, ARGB color1, ARGB color2, LinearGradientMode mode,
                                    GpWrapMode wrapMode, GpLineGradient** lineGradient);
Status GdipCreateLineBrushFromRectWithAngle(const GpRectF* rect, ARGB color1, ARGB color2, REAL angle,
                                            BOOL isAngleScalable, GpWrapMode wrapMode,
                                            GpLineGradient** lineGradient);
Status GdipCreateLineBrushFromRectWithAngleI(const GpRect* rect, ARGB color1, ARGB color2, REAL angle,
                                             BOOL isAngleScalable, GpWrapMode wrapMode,
                                             GpLineGradient** lineGradient);
Status GdipSetLineColors(GpLineGradient* brush, ARGB color1, ARGB color2);
Status GdipGetLineColors(GpLineGradient* brush, ARGB* colors);
Status GdipGetLineRect(GpLineGradient* brush, GpRectF* rect);
Status GdipGetLineRectI(GpLineGradient* brush, GpRect* rect);
Status GdipSetLineGammaCorrection(GpLineGradient* brush, BOOL useGammaCorrection);
Status GdipGetLineGammaCorrection(GpLineGradient* brush, BOOL* useGammaCorrection);
Status GdipGetLineBlendCount(GpLineGradient* brush, INT* count);
Status GdipGetLineBlend(GpLineGradient* brush, REAL* blend, REAL* positions, INT count);
Status GdipSetLineBlend(GpLineGradient* brush, const REAL* blend, const REAL* positions, INT count);
Status GdipGetLinePresetBlendCount(GpLineGradient* brush, INT* count);
Status GdipGetLinePresetBlend(GpLineGradient* brush, ARGB* blend, REAL* positions, INT count);
Status GdipSetLinePresetBlend(GpLineGradient* brush, const ARGB* blend, const REAL* positions, INT count);
Status GdipSetLineSigmaBlend(GpLineGradient* brush, REAL focus, REAL scale);
Status GdipSetLineLinearBlend(GpLineGradient* brush, REAL focus, REAL scale);
Status GdipSetLineWrapMode(GpLineGradient* brush, GpWrapMode wrapmode);
Status GdipGetLineWrapMode(GpLineGradient* brush, GpWrapMode* wrapmode);
Status GdipGetLineTransform(GpLineGradient* brush, GpMatrix* matrix);
Status GdipSetLineTransform(GpLineGradient* brush, const GpMatrix* matrix);
Status GdipResetLineTransform(GpLineGradient* brush);
Status GdipMultiplyLineTransform(GpLineGradient* brush, const GpMatrix* matrix, GpMatrixOrder order);
Status GdipTranslateLineTransform(GpLineGradient* brush, REAL dx, REAL dy, GpMatrixOrder order);
Status GdipScaleLineTransform(GpLineGradient* brush, REAL sx, REAL sy, GpMatrixOrder order);
Status GdipRotateLineTransform(GpLineGradient* brush, REAL angle, GpMatrixOrder order);
Status GdipCreateTexture(GpImage* image, GpWrapMode wrapmode, GpTexture** texture);
Status GdipCreateTexture2(GpImage* image, GpWrapMode wrapmode, REAL x, REAL y, REAL width, REAL height,
                          GpTexture** texture);
Status GdipCreateTexture2I(GpImage* image, GpWrapMode wrapmode, INT x, INT y, INT width, INT height,
                           GpTexture** texture);
Status GdipCreateTextureIA(GpImage* image, const GpImageAttributes* imageAttributes, REAL x, REAL y,
                           REAL width, REAL height, GpTexture** texture);
Status GdipCreateTextureIAI(GpImage* image, const GpImageAttributes* imageAttributes, INT x, INT y, INT width,
                            INT height, GpTexture** texture);
Status GdipGetTextureTransform(GpTexture* brush, GpMatrix* matrix);
Status GdipSetTextureTransform(GpTexture* brush, const GpMatrix* matrix);
Status GdipResetTextureTransform(GpTexture* brush);
Status GdipMultiplyTextureTransform(GpTexture* brush, const GpMatrix* matrix, GpMatrixOrder order);
Status GdipTranslateTextureTransform(GpTexture* brush, REAL dx, REAL dy, GpMatrixOrder order);
Status GdipScaleTextureTransform(GpTexture* brush, REAL sx, REAL sy, GpMatrixOrder order);
Status GdipRotateTextureTransform(GpTexture* brush, REAL angle, GpMatrixOrder order);
Status GdipSetTextureWrapMode(GpTexture* brush, GpWrapMode wrapmode);
Status GdipGetTextureWrapMode(GpTexture* brush, GpWrapMode* wrapmode);
Status GdipGetTextureImage(GpTexture* brush, GpImage** image);

// Path gradients. Blend position 0 is the outline, 1 the centre. Tiling wrap modes repeat the
// brush's bounding rectangle.
Status GdipCreatePathGradient(const GpPointF* points, INT count, GpWrapMode wrapMode,
                              GpPathGradient** polyGradient);
Status GdipCreatePathGradientI(const GpPoint* points, INT count, GpWrapMode wrapMode,
                               GpPathGradient** polyGradient);
Status GdipCreatePathGradientFromPath(const GpPath* path, GpPathGradient** polyGradient);
Status GdipGetPathGradientCenterColor(GpPathGradient* brush, ARGB* colors);
Status GdipSetPathGradientCenterColor(GpPathGradient* brush, ARGB colors);
Status GdipGetPathGradientSurroundColorsWithCount(GpPathGradient* brush, ARGB* color, INT* count);
Status GdipSetPathGradientSurroundColorsWithCount(GpPathGradient* brush, const ARGB* color, INT* count);
Status GdipGetPathGradientSurroundColorCount(GpPathGradient* brush, INT* count);
Status GdipGetPathGradientPath(GpPathGradient* brush, GpPath* path);
Status GdipGetPathGradientCenterPoint(GpPathGradient* brush, GpPointF* points);
Status GdipGetPathGradientCenterPointI(GpPathGradient* brush, GpPoint* points);
Status GdipSetPathGradientCenterPoint(GpPathGradient* brush, const GpPointF* points);
Status GdipSetPathGradientCenterPointI(GpPathGradient* brush, const GpPoint* points);
Status GdipGetPathGradientRect(GpPathGradient* brush, GpRectF* rect);
Status GdipGetPathGradientRectI(GpPathGradient* brush, GpRect* rect);
Status GdipGetPathGradientPointCount(GpPathGradient* brush, INT* count);
Status GdipSetPathGradientGammaCorrection(GpPathGradient* brush, BOOL useGammaCorrection);
Status GdipGetPathGradientGammaCorrection(GpPathGradient* brush, BOOL* useGammaCorrection);
Status GdipGetPathGradientBlendCount(GpPathGradient* brush, INT* count);
Status GdipGetPathGradientBlend(GpPathGradient* brush, REAL* blend, REAL* positions, INT count);
Status GdipSetPathGradientBlend(GpPathGradient* brush, const REAL* blend, const REAL* positions, INT count);
Status GdipGetPathGradientPresetBlendCount(GpPathGradient* brush, INT* count);
Status GdipGetPathGradientPresetBlend(GpPathGradient* brush, ARGB* blend, REAL* positions, INT count);
Status GdipSetPathGradientPresetBlend(GpPathGradient* brush, const ARGB* blend, const REAL* positions,
                                      INT count);
Status GdipSetPathGradientSigmaBlend(GpPathGradient* brush, REAL focus, REAL scale);
Status GdipSetPathGradientLinearBlend(GpPathGradient* brush, REAL focus, REAL scale);
Status GdipGetPathGradientWrapMode(GpPathGradient* brush, GpWrapMode* wrapmode);
Status GdipSetPathGradientWrapMode(GpPathGradient* brush, GpWrapMode wrapmode);
Status GdipGetPathGradientTransform(GpPathGradient* brush, GpMatrix* matrix);
Status GdipSetPathGradientTransform(GpPathGradient* brush, GpMatrix* matrix);
Status GdipResetPathGradientTransform(GpPathGradient* brush);
Status GdipMultiplyPathGradientTransform(GpPathGradient* brush, const GpMatrix* matrix, GpMatrixOrder order);
Status GdipTranslatePathGradientTransform(GpPathGradient* brush, REAL dx, REAL dy, GpMatrixOrder order);
Status GdipScalePathGradientTransform(GpPathGradient* brush, REAL sx, REAL sy, GpMatrixOrder order);
Status GdipRotatePathGradientTransform(GpPathGradient* brush, REAL angle, GpMatrixOrder order);
Status GdipGetPathGradientFocusScales(GpPathGradient* brush, REAL* xScale, REAL* yScale);
Status GdipSetPathGradientFocusScales(GpPathGradient* brush, REAL xScale, REAL yScale);

// Custom line caps (pens draw them at the ends of open figures when a pen's cap is
// LineCapCustom) and adjustable arrow caps.
Status GdipCreateCustomLineCap(GpPath* fillPath, GpPath* strokePath, GpLineCap baseCap, REAL baseInset,
                               GpCustomLineCap** customCap);
Status GdipDeleteCustomLineCap(GpCustomLineCap* customCap);
Status GdipCloneCustomLineCap(GpCustomLineCap* customCap, GpCustomLineCap** clonedCap);
Status GdipGetCustomLineCapType(GpCustomLineCap* customCap, CustomLineCapType* capType);
Status GdipSetCustomLineCapStrokeCaps(GpCustomLineCap* customCap, GpLineCap startCap, GpLineCap endCap);
Status GdipGetCustomLineCapStrokeCaps(GpCustomLineCap* customCap, GpLineCap* startCap, GpLineCap* endCap);
Status GdipSetCustomLineCapStrokeJoin(GpCustomLineCap* customCap, GpLineJoin lineJoin);
Status GdipGetCustomLineCapStrokeJoin(GpCustomLineCap* customCap, GpLineJoin* lineJoin);
Status GdipSetCustomLineCapBaseCap(GpCustomLineCap* customCap, GpLineCap baseCap);
Status GdipGetCustomLineCapBaseCap(GpCustomLineCap* customCap, GpLineCap* baseCap);
Status GdipSetCustomLineCapBaseInset(GpCustomLineCap* customCap, REAL inset);
Status GdipGetCustomLineCapBaseInset(GpCustomLineCap* customCap, REAL* inset);
Status GdipSetCustomLineCapWidthScale(GpCustomLineCap* customCap, REAL widthScale);
Status GdipGetCustomLineCapWidthScale(GpCustomLineCap* customCap, REAL* widthScale);
Status GdipCreateAdjustableArrowCap(REAL height, REAL width, BOOL isFilled, GpAdjustableArrowCap** cap);
Status GdipSetAdjustableArrowCapHeight(GpAdjustableArrowCap* cap, REAL height);
Status GdipGetAdjustableArrowCapHeight(GpAdjustableArrowCap* cap, REAL* height);
Status GdipSetAdjustableArrowCapWidth(GpAdjustableArrowCap* cap, REAL width);
Status GdipGetAdjustableArrowCapWidth(GpAdjustableArrowCap* cap, REAL* width);
Status GdipSetAdjustableArrowCapMiddleInset(GpAdjustableArrowCap* cap, REAL middleInset);
Status GdipGetAdjustableArrowCapMiddleInset(GpAdjustableArrowCap* cap, REAL* middleInset);
Status GdipSetAdjustableArrowCapFillState(GpAdjustableArrowCap* cap, BOOL fillState);
Status GdipGetAdjustableArrowCapFillState(GpAdjustableArrowCap* cap, BOOL* fillState);

// Pens.
Status GdipCreatePen1(ARGB color, REAL width, GpUnit unit, GpPen** pen);
Status GdipCreatePen2(GpBrush* brush, REAL width, GpUnit unit, GpPen** pen);
Status GdipClonePen(GpPen* pen, GpPen** clonepen);
Status GdipDeletePen(GpPen* pen);
Status GdipSetPenWidth(GpPen* pen, REAL width);
Status GdipGetPenWidth(GpPen* pen, REAL* width);
Status GdipSetPenUnit(GpPen* pen, GpUnit unit);
Status GdipGetPenUnit(GpPen* pen, GpUnit* unit);
Status GdipSetPenLineCap197819(GpPen* pen, GpLineCap startCap, GpLineCap endCap, GpDashCap dashCap);
Status GdipSetPenStartCap(GpPen* pen, GpLineCap startCap);
Status GdipSetPenEndCap(GpPen* pen, GpLineCap endCap);
Status GdipSetPenDashCap197819(GpPen* pen, GpDashCap dashCap);
Status GdipGetPenStartCap(GpPen* pen, GpLineCap* startCap);
Status GdipGetPenEndCap(GpPen* pen, GpLineCap* endCap);
Status GdipGetPenDashCap197819(GpPen* pen, GpDashCap* dashCap);
Status GdipSetPenLineJoin(GpPen* pen, GpLineJoin lineJoin);
Status GdipGetPenLineJoin(GpPen* pen, GpLineJoin* lineJoin);
Status GdipSetPenMiterLimit(GpPen* pen, REAL miterLimit);
Status GdipGetPenMiterLimit(GpPen* pen, REAL* miterLimit);
Status GdipSetPenMode(GpPen* pen, GpPenAlignment penMode);
Status GdipGetPenMode(GpPen* pen, GpPenAlignment* penMode);
Status GdipSetPenTransform(GpPen* pen, GpMatrix* matrix);
Status GdipGetPenTransform(GpPen* pen, GpMatrix* matrix);
Status GdipResetPenTransform(GpPen* pen);
Status GdipMultiplyPenTransform(GpPen* pen, const GpMatrix* matrix, GpMatrixOrder order);
Status GdipTranslatePenTransform(GpPen* pen, REAL dx, REAL dy, GpMatrixOrder order);
Status GdipScalePenTransform(GpPen* pen, REAL sx, REAL sy, GpMatrixOrder order);
Status GdipRotatePenTransform(GpPen* pen, REAL angle, GpMatrixOrder order);
Status GdipSetPenColor(GpPen* pen, ARGB argb);
Status GdipGetPenColor(GpPen* pen, ARGB* argb);
Status GdipSetPenBrushFill(GpPen* pen, GpBrush* brush);
Status GdipGetPenBrushFill(GpPen* pen, GpBrush** brush);
Status GdipGetPenFillType(GpPen* pen, GpPenType* type);
Status GdipGetPenDashStyle(GpPen* pen, GpDashStyle* dashstyle);
Status GdipSetPenDashStyle(GpPen* pen, GpDashStyle dashstyle);
Status GdipGetPenDashOffset(GpPen* pen, REAL* offset);
Status GdipSetPenDashOffset(GpPen* pen, REAL offset);
Status GdipGetPenDashCount(GpPen* pen, INT* count);
Status GdipSetPenDashArray(GpPen* pen, const REAL* dash, INT count);
Status GdipGetPenDashArray(GpPen* pen, REAL* dash, INT count);
// The pen keeps its own copy of the cap; the getters return a new copy the caller deletes.
Status GdipSetPenCustomStartCap(GpPen* pen, GpCustomLineCap* customCap);
Status GdipGetPenCustomStartCap(GpPen* pen, GpCustomLineCap** customCap);
Status GdipSetPenCustomEndCap(GpPen* pen, GpCustomLineCap* customCap);
Status GdipGetPenCustomEndCap(GpPen* pen, GpCustomLineCap** customCap);

// Paths.
Status GdipCreatePath(GpFillMode brushMode, GpPath** path);
Status GdipCreatePath2(const GpPointF* points, const BYTE* types, INT count, GpFillMode fillMode,
                       GpPath** path);
Status GdipCreatePath2I(const GpPoint* points, const BYTE* types, INT count, GpFillMode fillMode,
                        GpPath** path);
Status GdipClonePath(GpPath* path, GpPath** clonePath);
Status GdipDeletePath(GpPath* path);
Status GdipResetPath(GpPath* path);
Status GdipGetPointCount(GpPath* path, INT* count);
Status GdipGetPathTypes(GpPath* path, BYTE* types, INT count);
Status GdipGetPathPoints(GpPath* path, GpPointF* points, INT count);
Status GdipGetPathPointsI(GpPath* path, GpPoint* points, INT count);
Status GdipGetPathFillMode(GpPath* path, GpFillMode* fillmode);
Status GdipSetPathFillMode(GpPath* path, GpFillMode fillmode);
Status GdipGetPathData(GpPath* path, GpPathData* pathData);
Status GdipGetPathLastPoint(GpPath* path, GpPointF* lastPoint);
Status GdipStartPathFigure(GpPath* path);
Status GdipClosePathFigure(GpPath* path);
Status GdipClosePathFigures(GpPath* path);
Status GdipSetPathMarker(GpPath* path);
Status GdipClearPathMarkers(GpPath* path);
Status GdipReversePath(GpPath* path);
Status GdipAddPathLine(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2);
Status GdipAddPathLineI(GpPath* path, INT x1, INT y1, INT x2, INT y2);
Status GdipAddPathLine2(GpPath* path, const GpPointF* points, INT count);
Status GdipAddPathLine2I(GpPath* path, const GpPoint* points, INT count);
Status GdipAddPathArc(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                      REAL sweepAngle);
Status GdipAddPathArcI(GpPath* path, INT x, INT y, INT width, INT height, REAL startAngle, REAL sweepAngle);
Status GdipAddPathBezier(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4,
                         REAL y4);
Status GdipAddPathBezierI(GpPath* path, INT x1, INT y1, INT x2, INT y2, INT x3, INT y3, INT x4, INT y4);
Status GdipAddPathBeziers(GpPath* path, const GpPointF* points, INT count);
Status GdipAddPathBeziersI(GpPath* path, const GpPoint* points, INT count);
Status GdipAddPathCurve(GpPath* path, const GpPointF* points, INT count);
Status GdipAddPathCurveI(GpPath* path, const GpPoint* points, INT count);
Status GdipAddPathCurve2(GpPath* path, const GpPointF* points, INT count, REAL tension);
Status GdipAddPathCurve2I(GpPath* path, const GpPoint* points, INT count, REAL tension);
Status GdipAddPathCurve3(GpPath* path, const GpPointF* points, INT count, INT offset, INT numberOfSegments,
                         REAL tension);
Status GdipAddPathCurve3I(GpPath* path, const GpPoint* points, INT count, INT offset, INT numberOfSegments,
                          REAL tension);
Status GdipAddPathClosedCurve(GpPath* path, const GpPointF* points, INT count);
Status GdipAddPathClosedCurveI(GpPath* path, const GpPoint* points, INT count);
Status GdipAddPathClosedCurve2(GpPath* path, const GpPointF* points, INT count, REAL tension);
Status GdipAddPathClosedCurve2I(GpPath* path, const GpPoint* points, INT count, REAL tension);
Status GdipAddPathRectangle(GpPath* path, REAL x, REAL y, REAL width, REAL height);
Status GdipAddPathRectangleI(GpPath* path, INT x, INT y, INT width, INT height);
Status GdipAddPathRectangles(GpPath* path, const GpRectF* rects, INT count);
Status GdipAddPathRectanglesI(GpPath* path, const GpRect* rects, INT count);
Status GdipAddPathEllipse(GpPath* path, REAL x, REAL y, REAL width, REAL height);
Status GdipAddPathEllipseI(GpPath* path, INT x, INT y, INT width, INT height);
Status GdipAddPathPie(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                      REAL sweepAngle);
Status GdipAddPathPieI(GpPath* path, INT x, INT y, INT width, INT height, REAL startAngle, REAL sweepAngle);
Status GdipAddPathPolygon(GpPath* path, const GpPointF* points, INT count);
Status GdipAddPathPolygonI(GpPath* path, const GpPoint* points, INT count);
Status GdipAddPathPath(GpPath* path, const GpPath* addingPath, BOOL connect);
Status GdipAddPathString(GpPath* path, const WCHAR* string, INT length, const GpFontFamily* family, INT style,
                         REAL emSize, const GpRectF* layoutRect, const GpStringFormat* format);
Status GdipAddPathStringI(GpPath* path, const WCHAR* string, INT length, const GpFontFamily* family,
                          INT style, REAL emSize, const GpRect* layoutRect, const GpStringFormat* format);
Status GdipFlattenPath(GpPath* path, GpMatrix* matrix, REAL flatness);
Status GdipTransformPath(GpPath* path, GpMatrix* matrix);
Status GdipGetPathWorldBounds(GpPath* path, GpRectF* bounds, const GpMatrix* matrix, const GpPen* pen);
Status GdipGetPathWorldBoundsI(GpPath* path, GpRect* bounds, const GpMatrix* matrix, const GpPen* pen);
Status GdipIsVisiblePathPoint(GpPath* path, REAL x, REAL y, GpGraphics* graphics, BOOL* result);
Status GdipIsVisiblePathPointI(GpPath* path, INT x, INT y, GpGraphics* graphics, BOOL* result);
Status GdipIsOutlineVisiblePathPoint(GpPath* path, REAL x, REAL y, GpPen* pen, GpGraphics* graphics,
                                     BOOL* result);
Status GdipIsOutlineVisiblePathPointI(GpPath* path, INT x, INT y, GpPen* pen, GpGraphics* graphics,
                                      BOOL* result);

// Regions.
Status GdipCreateRegion(GpRegion** region);
Status GdipCreateRegionRect(const GpRectF* rect, GpRegion** region);
Status GdipCreateRegionRectI(const GpRect* rect, GpRegion** region);
Status GdipCreateRegionPath(GpPath* path, GpRegion** region);
Status GdipCreateRegionHrgn(HRGN hRgn, GpRegion** region);
Status GdipCloneRegion(GpRegion* region, GpRegion** cloneRegion);
Status GdipDeleteRegion(GpRegion* region);
Status GdipSetInfinite(GpRegion* region);
Status GdipSetEmpty(GpRegion* region);
Status GdipCombineRegionRect(GpRegion* region, const GpRectF* rect, CombineMode combineMode);
Status GdipCombineRegionRectI(GpRegion* region, const GpRect* rect, CombineMode combineMode);
Status GdipCombineRegionPath(GpRegion* region, GpPath* path, CombineMode combineMode);
Status GdipCombineRegionRegion(GpRegion* region, GpRegion* region2, CombineMode combineMode);
Status GdipTranslateRegion(GpRegion* region, REAL dx, REAL dy);
Status GdipTranslateRegionI(GpRegion* region, INT dx, INT dy);
Status GdipTransformRegion(GpRegion* region, GpMatrix* matrix);
Status GdipGetRegionBounds(GpRegion* region, GpGraphics* graphics, GpRectF* rect);
Status GdipGetRegionBoundsI(GpRegion* region, GpGraphics* graphics, GpRect* rect);
Status GdipGetRegionHRgn(GpRegion* region, GpGraphics* graphics, HRGN* hRgn);
Status GdipIsEmptyRegion(GpRegion* region, GpGraphics* graphics, BOOL* result);
Status GdipIsInfiniteRegion(GpRegion* region, GpGraphics* graphics, BOOL* result);
Status GdipIsEqualRegion(GpRegion* region, GpRegion* region2, GpGraphics* graphics, BOOL* result);
Status GdipIsVisibleRegionPoint(GpRegion* region, REAL x, REAL y, GpGraphics* graphics, BOOL* result);
Status GdipIsVisibleRegionPointI(GpRegion* region, INT x, INT y, GpGraphics* graphics, BOOL* result);
Status GdipIsVisibleRegionRect(GpRegion* region, REAL x, REAL y, REAL width, REAL height,
                               GpGraphics* graphics, BOOL* result);
Status GdipIsVisibleRegionRectI(GpRegion* region, INT x, INT y, INT width, INT height, GpGraphics* graphics,
                                BOOL* result);
Status GdipGetRegionScansCount(GpRegion* region, UINT* count, GpMatrix* matrix);
Status GdipGetRegionScans(GpRegion* region, GpRectF* rects, INT* count, GpMatrix* matrix);
Status GdipGetRegionScansI(GpRegion* region, GpRect* rects, INT* count, GpMatrix* matrix);

// Image attributes.
Status GdipCreateImageAttributes(GpImageAttributes** imageattr);
Status GdipCloneImageAttributes(const GpImageAttributes* imageattr, GpImageAttributes** cloneImageattr);
Status GdipDisposeImageAttributes(GpImageAttributes* imageattr);
Status GdipSetImageAttributesToIdentity(GpImageAttributes* imageattr, ColorAdjustType type);
Status GdipResetImageAttributes(GpImageAttributes* imageattr, ColorAdjustType type);
Status GdipSetImageAttributesColorMatrix(GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag,
                                         const ColorMatrix* colorMatrix, const ColorMatrix* grayMatrix,
                                         ColorMatrixFlags flags);
Status GdipSetImageAttributesThreshold(GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag,
                                       REAL threshold);
Status GdipSetImageAttributesGamma(GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag,
                                   REAL gamma);
Status GdipSetImageAttributesNoOp(GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag);
Status GdipSetImageAttributesColorKeys(GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag,
                                       ARGB colorLow, ARGB colorHigh);
Status GdipSetImageAttributesOutputChannel(GpImageAttributes* imageattr, ColorAdjustType type,
                                           BOOL enableFlag, ColorChannelFlags channelFlags);
Status GdipSetImageAttributesOutputChannelColorProfile(GpImageAttributes* imageattr, ColorAdjustType type,
                                                       BOOL enableFlag, const WCHAR* colorProfileFilename);
Status GdipSetImageAttributesRemapTable(GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag,
                                        UINT mapSize, const ColorMap* map);
Status GdipSetImageAttributesWrapMode(GpImageAttributes* imageAttr, WrapMode wrap, ARGB argb, BOOL clamp);
Status GdipGetImageAttributesAdjustedPalette(GpImageAttributes* imageAttr, ColorPalette* colorPalette,
                                             ColorAdjustType colorAdjustType);

// String formats.
Status GdipCreateStringFormat(INT formatAttributes, LANGID language, GpStringFormat** format);
Status GdipStringFormatGetGenericDefault(GpStringFormat** format);
Status GdipStringFormatGetGenericTypographic(GpStringFormat** format);
Status GdipDeleteStringFormat(GpStringFormat* format);
Status GdipCloneStringFormat(const GpStringFormat* format, GpStringFormat** newFormat);
Status GdipSetStringFormatFlags(GpStringFormat* format, INT flags);
Status GdipGetStringFormatFlags(const GpStringFormat* format, INT* flags);
Status GdipSetStringFormatAlign(GpStringFormat* format, StringAlignment align);
Status GdipGetStringFormatAlign(const GpStringFormat* format, StringAlignment* align);
Status GdipSetStringFormatLineAlign(GpStringFormat* format, StringAlignment align);
Status GdipGetStringFormatLineAlign(const GpStringFormat* format, StringAlignment* align);
Status GdipSetStringFormatTrimming(GpStringFormat* format, StringTrimming trimming);
Status GdipGetStringFormatTrimming(const GpStringFormat* format, StringTrimming* trimming);
Status GdipSetStringFormatHotkeyPrefix(GpStringFormat* format, INT hotkeyPrefix);
Status GdipGetStringFormatHotkeyPrefix(const GpStringFormat* format, INT* hotkeyPrefix);
Status GdipSetStringFormatTabStops(GpStringFormat* format, REAL firstTabOffset, INT count,
                                   const REAL* tabStops);
Status GdipGetStringFormatTabStops(const GpStringFormat* format, INT count, REAL* firstTabOffset,
                                   REAL* tabStops);
Status GdipGetStringFormatTabStopCount(const GpStringFormat* format, INT* count);
Status GdipSetStringFormatDigitSubstitution(GpStringFormat* format, LANGID language,
                                            StringDigitSubstitute substitute);
Status GdipGetStringFormatDigitSubstitution(const GpStringFormat* format, LANGID* language,
                                            StringDigitSubstitute* substitute);
Status GdipGetStringFormatMeasurableCharacterRangeCount(const GpStringFormat* format, INT* count);
Status GdipSetStringFormatMeasurableCharacterRanges(GpStringFormat* format, INT rangeCount,
                                                    const CharacterRange* ranges);

// Font families and fonts.
Status GdipCreateFontFamilyFromName(const WCHAR* name, GpFontCollection* fontCollection,
                                    GpFontFamily** fontFamily);
Status GdipDeleteFontFamily(GpFontFamily* fontFamily);
Status GdipCloneFontFamily(GpFontFamily* fontFamily, GpFontFamily** clonedFontFamily);
Status GdipGetGenericFontFamilySansSerif(GpFontFamily** nativeFamily);
Status GdipGetGenericFontFamilySerif(GpFontFamily** nativeFamily);
Status GdipGetGenericFontFamilyMonospace(GpFontFamily** nativeFamily);
Status GdipGetFamilyName(const GpFontFamily* family, WCHAR name[LF_FACESIZE], LANGID language);
Status GdipIsStyleAvailable(const GpFontFamily* family, INT style, BOOL* isStyleAvailable);
Status GdipGetEmHeight(const GpFontFamily* family, INT style, UINT16* emHeight);
Status GdipGetCellAscent(const GpFontFamily* family, INT style, UINT16* cellAscent);
Status GdipGetCellDescent(const GpFontFamily* family, INT style, UINT16* cellDescent);
Status GdipGetLineSpacing(const GpFontFamily* family, INT style, UINT16* lineSpacing);
Status GdipCreateFont(const GpFontFamily* fontFamily, REAL emSize, INT style, INT unit, GpFont** font);
Status GdipCreateFontFromDC(HDC hdc, GpFont** font);
Status GdipCreateFontFromLogfontW(HDC hdc, const LOGFONTW* logfont, GpFont** font);
Status GdipCloneFont(GpFont* font, GpFont** cloneFont);
Status GdipDeleteFont(GpFont* font);
Status GdipGetFamily(GpFont* font, GpFontFamily** family);
Status GdipGetFontStyle(GpFont* font, INT* style);
Status GdipGetFontSize(GpFont* font, REAL* size);
Status GdipGetFontUnit(GpFont* font, GpUnit* unit);
Status GdipGetFontHeight(const GpFont* font, const GpGraphics* graphics, REAL* height);
Status GdipGetFontHeightGivenDPI(const GpFont* font, REAL dpi, REAL* height);
Status GdipGetLogFontW(GpFont* font, GpGraphics* graphics, LOGFONTW* logfontW);

// Images and bitmaps.
Status GdipLoadImageFromStream(IStream* stream, GpImage** image);
Status GdipLoadImageFromStreamICM(IStream* stream, GpImage** image);
Status GdipLoadImageFromFile(const WCHAR* filename, GpImage** image);
Status GdipLoadImageFromFileICM(const WCHAR* filename, GpImage** image);
Status GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap);
Status GdipCreateBitmapFromStreamICM(IStream* stream, GpBitmap** bitmap);
Status GdipCreateBitmapFromFile(const WCHAR* filename, GpBitmap** bitmap);
Status GdipCreateBitmapFromFileICM(const WCHAR* filename, GpBitmap** bitmap);
Status GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0,
                                 GpBitmap** bitmap);
Status GdipCreateBitmapFromGraphics(INT width, INT height, GpGraphics* target, GpBitmap** bitmap);
Status GdipCreateBitmapFromHBITMAP(HBITMAP hbm, HPALETTE hpal, GpBitmap** bitmap);
Status GdipCreateHBITMAPFromBitmap(GpBitmap* bitmap, HBITMAP* hbmReturn, ARGB background);
Status GdipCloneImage(GpImage* image, GpImage** cloneImage);
Status GdipCloneBitmapArea(REAL x, REAL y, REAL width, REAL height, PixelFormat format, GpBitmap* srcBitmap,
                           GpBitmap** dstBitmap);
Status GdipCloneBitmapAreaI(INT x, INT y, INT width, INT height, PixelFormat format, GpBitmap* srcBitmap,
                            GpBitmap** dstBitmap);
Status GdipDisposeImage(GpImage* image);
Status GdipGetImageWidth(GpImage* image, UINT* width);
Status GdipGetImageHeight(GpImage* image, UINT* height);
Status GdipGetImageDimension(GpImage* image, REAL* width, REAL* height);
Status GdipGetImageBounds(GpImage* image, GpRectF* srcRect, GpUnit* srcUnit);
Status GdipGetImageType(GpImage* image, ImageType* type);
Status GdipGetImageRawFormat(GpImage* image, GUID* format);
Status GdipGetImagePixelFormat(GpImage* image, PixelFormat* format);
Status GdipGetImageHorizontalResolution(GpImage* image, REAL* resolution);
Status GdipGetImageVerticalResolution(GpImage* image, REAL* resolution);
Status GdipBitmapSetResolution(GpBitmap* bitmap, REAL xdpi, REAL ydpi);
Status GdipGetImageFlags(GpImage* image, UINT* flags);
Status GdipGetImagePaletteSize(GpImage* image, INT* size);
Status GdipGetImagePalette(GpImage* image, ColorPalette* palette, INT size);
Status GdipSetImagePalette(GpImage* image, const ColorPalette* palette);
Status GdipBitmapLockBits(GpBitmap* bitmap, const GpRect* rect, UINT flags, PixelFormat format,
                          BitmapData* lockedBitmapData);
Status GdipBitmapUnlockBits(GpBitmap* bitmap, BitmapData* lockedBitmapData);
Status GdipBitmapGetPixel(GpBitmap* bitmap, INT x, INT y, ARGB* color);
Status GdipBitmapSetPixel(GpBitmap* bitmap, INT x, INT y, ARGB color);
Status GdipImageGetFrameDimensionsCount(GpImage* image, UINT* count);
Status GdipImageGetFrameDimensionsList(GpImage* image, GUID* dimensionIDs, UINT count);
Status GdipImageGetFrameCount(GpImage* image, const GUID* dimensionID, UINT* count);
Status GdipImageSelectActiveFrame(GpImage* image, const GUID* dimensionID, UINT frameIndex);
Status GdipImageRotateFlip(GpImage* image, RotateFlipType rfType);
Status GdipGetPropertyCount(GpImage* image, UINT* numOfProperty);
Status GdipGetPropertyIdList(GpImage* image, UINT numOfProperty, PROPID* list);
Status GdipGetPropertyItemSize(GpImage* image, PROPID propId, UINT* size);
Status GdipGetPropertyItem(GpImage* image, PROPID propId, UINT propSize, PropertyItem* buffer);
Status GdipGetPropertySize(GpImage* image, UINT* totalBufferSize, UINT* numProperties);
Status GdipGetAllPropertyItems(GpImage* image, UINT totalBufferSize, UINT numProperties,
                               PropertyItem* allItems);
Status GdipRemovePropertyItem(GpImage* image, PROPID propId);
Status GdipSetPropertyItem(GpImage* image, const PropertyItem* item);
Status GdipGetImageThumbnail(GpImage* image, UINT thumbWidth, UINT thumbHeight, GpImage** thumbImage,
                             GetThumbnailImageAbort callback, void* callbackData);
Status GdipGetImageEncodersSize(UINT* numEncoders, UINT* size);
Status GdipGetImageEncoders(UINT numEncoders, UINT size, ImageCodecInfo* encoders);
Status GdipGetImageDecodersSize(UINT* numDecoders, UINT* size);
Status GdipGetImageDecoders(UINT numDecoders, UINT size, ImageCodecInfo* decoders);
Status GdipSaveImageToStream(GpImage* image, IStream* stream, const CLSID* clsidEncoder,
                             const EncoderParameters* encoderParams);
Status GdipSaveImageToFile(GpImage* image, const WCHAR* filename, const CLSID* clsidEncoder,
                           const EncoderParameters* encoderParams);

// Metafiles. A metafile image made from an enhanced metafile handle (deleted when asked), and a
// new handle holding the image's picture. Conversion to old-style records is not done: it
// reports failure (0 bytes).
Status GdipCreateMetafileFromEmf(HENHMETAFILE hEmf, BOOL deleteEmf, GpMetafile** metafile);
Status GdipGetHemfFromMetafile(GpMetafile* metafile, HENHMETAFILE* hEmf);
UINT GdipEmfToWmfBits(HENHMETAFILE hemf, UINT bufferSize, BYTE* buffer, INT mappingMode, INT flags);

}  // namespace qd::gdiplus
