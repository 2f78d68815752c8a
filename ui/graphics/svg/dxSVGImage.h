#pragma once
// The SVG image handle: the element tree drawn once into a supersampled GDI+ bitmap, scaled
// down to the requested size and cached, with the document's XML source kept compressed for
// saving; and the SVG codec that probes, loads and saves SVG streams.
#include <cstdint>
#include <memory>

#include "platform/classes/streams.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"
#include "ui/graphics/svg/dxSVGCore.h"

namespace qd {

enum TdxSVGRenderQuality : uint8_t { srqLow, srqMedium, srqHigh };
// The global quality of SVG rasters; srqMedium at start.
extern TdxSVGRenderQuality dxSVGRenderQuality;

struct TdxSVGGpImageDeleter {
  void operator()(GpImage* AImage) const;
};
using TdxSVGGpBitmapPtr = std::unique_ptr<GpBitmap, TdxSVGGpImageDeleter>;

class TdxSVGImageHandle : public TdxSmartImageCustomHandle,
                          public IdxVectorImage,
                          public IdxImageDataFormatEx,
                          public IdxGpFlipContent {
  QD_CLASS(TdxSVGImageHandle, TdxSmartImageCustomHandle)

 public:
  static constexpr int32_t MaxScaleFactor[3] = {16, 24, 32};
  static constexpr int32_t RasterizedImageBufferSize[3] = {1024, 1536, 2048};
  static constexpr int32_t StandardScaleFactors[10] = {64, 32, 24, 16, 12, 8, 6, 4, 2, 1};
  // The longest side of any raster this handle makes; larger requests are scaled down to it
  // (the final draw stretches them).
  static constexpr int32_t MaxRasterSide = 8192;

  TdxSVGImageHandle() : TdxSVGImageHandle(nullptr) {}
  explicit TdxSVGImageHandle(std::unique_ptr<TdxSVGElementRoot> ARoot);
  ~TdxSVGImageHandle() override;

  bool Empty() override { return !FRoot; }
  void GetSize(TSize& ASize) override;
  TdxAlphaState GetAlphaState() override { return asSemitransparent; }
  // A new 32-bit bitmap of the image's size with the image drawn at alpha 255.
  std::unique_ptr<TBitmap> GetAsBitmap() override;
  void Draw(HDC DC, const TdxRectF& ADest, const TdxRectF& ASource, uint8_t AAlpha,
            IdxColorPalette* APalette) override;
  void Draw(HDC DC, const TRect& ADest, const TRect& ASource, uint8_t AAlpha,
            IdxColorPalette* APalette) override;
  void Flip(bool AHorizontally, bool AVertically) override;
  TdxSmartImageCodecClass GetImageFormat() override;
  void FlushCache();

  TdxGPInterpolationMode GetInterpolationMode() const;
  void SetInterpolationMode(TdxGPInterpolationMode AValue) { FInterpolationMode = AValue; }
  TdxGPSmoothingMode GetSmoothingMode() const;
  void SetSmoothingMode(TdxGPSmoothingMode AValue) { FSmoothingMode = AValue; }
  // The root's view box; a zero side taken from the root's width or height attribute.
  TdxRectF GetViewBox();
  int32_t CalculateScaleFactor(const TSize& S) const;
  // The cached raster for a draw at ASize (made when missing or stale); nullptr for an image
  // whose view box is empty.
  GpBitmap* GetRasterizedImage(const TSize& ASize, IdxColorPalette* APalette);
  // Draws the picture with its view box stretched over ARect.
  void DrawCore(TdxGPCanvas* ACanvas, const TRect& ARect, IdxColorPalette* APalette);
  void DrawCore(GpBitmap* AImage, IdxColorPalette* APalette);

  TdxSVGElementRoot* Root() const { return FRoot.get(); }
  TMemoryStream* SourceData() const { return FSourceData.get(); }
  // How many times the picture has been rendered into a new raster.
  int32_t RenderCount() const { return FRenderCount; }

 private:
  TdxSVGGpBitmapPtr FCachedImage;
  TGUID FCachedImagePaletteID{};
  TdxSVGRenderQuality FCachedImageQuality = srqMedium;
  TSize FCachedImageSize{};
  bool FFlipHorizontally = false;
  bool FFlipVertically = false;
  TdxGPInterpolationMode FInterpolationMode = imDefault;
  TdxGPSmoothingMode FSmoothingMode = smDefault;
  std::unique_ptr<TMemoryStream> FSourceData;
  std::unique_ptr<TdxSVGElementRoot> FRoot;
  int32_t FRenderCount = 0;
};

// An XML document that reads only up to the first element's header.
class TdxSVGAnnotation : public TdxXMLDocument {
  QD_CLASS(TdxSVGAnnotation, TdxXMLDocument)

 protected:
  std::unique_ptr<TdxXMLParser> CreateParser() override;
};

// The codec instance stands for the class; Instance() gives it with its SVG-typed helpers.
class TdxSVGImageCodec : public TdxSmartImageCodec {
  QD_SMART_IMAGE_CODEC(TdxSVGImageCodec)

 public:
  static const TdxSVGImageCodec& Instance() { return static_cast<const TdxSVGImageCodec&>(*Class()); }

  String Ext() const override { return u".svg"; }
  bool CanSaveImage(TdxSmartImageCustomHandle* AHandle) const override;
  bool CanLoadStream(TStream* AStream) const override;
  // The root's size, read from the svg element's attributes only; every failure gives False.
  bool GetSize(TStream* AStream, TSize& ASize) const override;
  using TdxSmartImageCodec::Load;
  // XML and import errors pass out; a document without an svg element gives False.
  bool Load(TStream* AStream, std::unique_ptr<TdxSmartImageCustomHandle>& AHandle) const override;
  bool Load(TStream* AStream, std::unique_ptr<TdxSVGImageHandle>& AHandle) const;
  bool Load(TdxXMLDocument* ADocument, std::unique_ptr<TdxSVGImageHandle>& AHandle) const;
  bool Load(const String& AFileName, std::unique_ptr<TdxSVGImageHandle>& AHandle) const;
  static void SaveSourceData(TdxXMLDocument* ADocument, TdxSVGImageHandle* AHandle);
  // Writes the kept source; False for another handle or an empty source.
  bool Save(TStream* AStream, TdxSmartImageCustomHandle* AHandle) const override;
};

// A smart image that always saves as SVG.
class TdxSVGImage : public TdxCustomSmartImage {
  QD_CLASS(TdxSVGImage, TdxCustomSmartImage)

 public:
  void SaveToStream(TStream* AStream) override;
};

namespace dxSVGImage {
// Registers the codec, the TdxSVGImage class and the "svg" extension for TdxSmartImage (only
// when GDI+ is available); Finalize removes the class and the codec.
void Initialize();
void Finalize();
}  // namespace dxSVGImage

}  // namespace qd
