#pragma once
// Smart images decoded by GDI+: the image handle over one GDI+ image (draw, resize, flip,
// frames), the codecs with their header probes (BMP, GIF, JPEG, PNG, TIFF; EMF and WMF are
// recognised and sized), and the picture classes that forms and controls use (TdxGPImage,
// TdxSmartImage, TdxPNGImage, TdxSmartGlyph) with their registration as picture formats.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/classes/stream_adapter.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/dxGDIPlusAPI.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/graphics/dxGDIPlusClasses.h"
#include "ui/graphics/dxSmartImage.h"

namespace qd {

// Drawing on a GDI+ canvas (the floating-point form first).
class IdxGPGraphicDraw {
 public:
  virtual ~IdxGPGraphicDraw() = default;
  virtual void Draw(TdxGPCanvas* ACanvas, const TdxRectF& ADest, TdxGPImageAttributes* AAttributes,
                    const TdxRectF& ASource) = 0;
  virtual void Draw(TdxGPCanvas* ACanvas, const TRect& ADest, TdxGPImageAttributes* AAttributes,
                    const TRect& ASource) = 0;
};

class IdxGpFlipContent {
 public:
  virtual ~IdxGpFlipContent() = default;
  virtual void Flip(bool AHorizontally, bool AVertically) = 0;
};

// dxImageUnknown for nullptr, an unreadable or an unknown raw format (Exif included).
TdxImageDataFormat dxGetImageDataFormat(GpImage* AImage);
// The encoder for saving a format; the null identifier for EMF, icons and WMF; raises
// "dxGetImageEncoder fails" for the others.
TdxGpClassID dxGetImageEncoder(TdxImageDataFormat AFormat);

// An IStream over a TStream for GDI+ (never frees the stream).
class TdxGPStreamAdapter : public TStreamAdapter {
 public:
  explicit TdxGPStreamAdapter(TStream* AStream) : TStreamAdapter(AStream, soReference) {}
  HRESULT Stat(STATSTG* AStatStg, DWORD AFlags) override;
};

class TdxGPImageHandle : public TdxSmartImageCustomHandle,
                         public IdxImageDataFormat,
                         public IdxGPGraphicDraw,
                         public IdxGpFlipContent,
                         public IdxAnimatedImage {
  QD_CLASS(TdxGPImageHandle, TdxSmartImageCustomHandle)

 public:
  TdxGPImageHandle();
  // Adopts the GDI+ image.
  explicit TdxGPImageHandle(GpImage* AHandle);
  ~TdxGPImageHandle() override;

  // The handle keeps its own copy of the pixels, which the GDI+ bitmap uses.
  static std::unique_ptr<TdxGPImageHandle> CreateFromBits(int32_t AWidth, int32_t AHeight,
                                                          const TRGBColors& ABits, TAlphaFormat AAlphaFormat);
  static std::unique_ptr<TdxGPImageHandle> CreateFromBits(int32_t AWidth, int32_t AHeight, TRGBColors&& ABits,
                                                          TAlphaFormat AAlphaFormat);
  // A blank 32-bit premultiplied bitmap.
  static std::unique_ptr<TdxGPImageHandle> CreateSize(int32_t AWidth, int32_t AHeight);
  static std::unique_ptr<TdxGPImageHandle> CreateSize(const TSize& ASize) {
    return CreateSize(ASize.cx, ASize.cy);
  }
  std::unique_ptr<TdxGPImageHandle> Clone();
  // A canvas that owns a graphics on the image.
  std::unique_ptr<TdxGPCanvas> CreateCanvas();

  GpImage* Handle() const { return FHandle; }
  // Disposes the current image and adopts AValue.
  void SetHandle(GpImage* AValue);
  bool IsMetafile() const { return FImageFormat == dxImageEmf || FImageFormat == dxImageWmf; }

  void GetSize(TSize& ASize) override;
  void SetSize(const TSize& ASize) override { Resize(ASize, 0, 0); }
  std::unique_ptr<TBitmap> GetAsBitmap() override;
  using TdxSmartImageCustomHandle::Draw;
  void Draw(HDC DC, const TdxRectF& ADest, const TdxRectF& ASource, uint8_t AAlpha,
            IdxColorPalette* APalette) override;
  void Draw(HDC DC, const TRect& ADest, const TRect& ASource, uint8_t AAlpha,
            IdxColorPalette* APalette) override;
  void Draw(TdxGPCanvas* ACanvas, const TdxRectF& ADest, TdxGPImageAttributes* AAttributes,
            const TdxRectF& ASource) override;
  void Draw(TdxGPCanvas* ACanvas, const TRect& ADest, TdxGPImageAttributes* AAttributes,
            const TRect& ASource) override;

  // Interpolation and pixel-offset modes of 0 keep the graphics' defaults.
  void Resize(const TSize& ASize, int32_t AInterpolationMode, int32_t APixelOffsetMode);
  void Flip(bool AHorizontally, bool AVertically) override;

  TdxImageDataFormat GetImageFormat() override { return FImageFormat; }

  int32_t GetActiveFrame() override { return static_cast<int32_t>(FActiveFrame); }
  int32_t GetAnimationFrameCount() override;
  int32_t GetAnimationFrameDelay() override;
  int32_t GetAnimationLoopCount() override;
  void SetActiveFrame(int32_t AIndex) override;
  // The value bytes of a property item; False when it is missing.
  bool GetPropertyValue(gdiplus::PROPID APropID, std::vector<uint8_t>& AData);
  // Disposes the GDI+ images of every handle that still lives (GDI+ is about to be
  // unloaded; pictures of forms freed later are then empty).
  static void ReleaseAllImages();

 private:
  template <class F>
  void ReplaceByDrawing(const TSize& ASize, F ADraw);

  GpImage* FHandle = nullptr;
  TdxImageDataFormat FImageFormat = dxImageUnknown;
  uint32_t FActiveFrame = 0;
  gdiplus::GUID FDimensionID{};
  TRGBColors FBits;
  TAlphaFormat FBitsFormat = afIgnored;
};

// ---- Codecs -------------------------------------------------------------------------------

class TdxGPImageCodec : public TdxSmartImageCodec {
 public:
  bool CanSaveImage(TdxSmartImageCustomHandle*) const override { return true; }
  bool Load(TStream* AStream, std::unique_ptr<TdxSmartImageCustomHandle>& AHandle) const override;
  using TdxSmartImageCodec::Load;
  bool Save(TStream* AStream, TdxSmartImageCustomHandle* AHandle) const override;
  virtual bool SaveCore(TStream* AStream, TdxGPImageHandle* AHandle,
                        const gdiplus::EncoderParameters* AParameters) const;
  // The signature at the position; the position is restored.
  static bool CheckHeader(TStream* AStream, std::initializer_list<uint8_t> ASignature);
  TdxGpClassID GetCodecID() const { return dxGetImageEncoder(ID()); }

 protected:
  TdxGPImageCodec() = default;
};

class TdxGPImageCodecBMP : public TdxGPImageCodec {
  QD_SMART_IMAGE_CODEC(TdxGPImageCodecBMP)
 public:
  TdxImageDataFormat ID() const override { return dxImageBitmap; }
  String Ext() const override { return u".bmp"; }
  bool GetSize(TStream* AStream, TSize& ASize) const override;
  bool CanLoadFromBits() const override { return true; }
  bool CanLoadStream(TStream* AStream) const override;
  bool Load(const TRGBColors& ABits, TAlphaFormat AAlphaFormat, int32_t AWidth, int32_t AHeight,
            std::unique_ptr<TdxSmartImageCustomHandle>& AHandle) const override;
  using TdxGPImageCodec::Load;
};

class TdxGPImageCodecMemoryBitmap : public TdxGPImageCodecBMP {
  QD_SMART_IMAGE_CODEC(TdxGPImageCodecMemoryBitmap)
 public:
  TdxImageDataFormat ID() const override { return dxImageMemoryBmp; }
  String Description() const override { return String(); }
};

class TdxGPImageCodecGIF : public TdxGPImageCodec {
  QD_SMART_IMAGE_CODEC(TdxGPImageCodecGIF)
 public:
  TdxImageDataFormat ID() const override { return dxImageGif; }
  String Ext() const override { return u".gif"; }
  bool GetSize(TStream* AStream, TSize& ASize) const override;
  bool CanLoadStream(TStream* AStream) const override;
};

class TdxGPImageCodecJPEG : public TdxGPImageCodec {
  QD_SMART_IMAGE_CODEC(TdxGPImageCodecJPEG)
 public:
  TdxImageDataFormat ID() const override { return dxImageJpeg; }
  String Ext() const override { return u".jpeg"; }
  bool GetSize(TStream* AStream, TSize& ASize) const override;
  bool CanLoadStream(TStream* AStream) const override;
  bool SaveCore(TStream* AStream, TdxGPImageHandle* AHandle,
                const gdiplus::EncoderParameters* AParameters) const override;
  // The quality of saving, -1 when not set.
  static int32_t& FQuality();
};

class TdxGPImageCodecJPG : public TdxGPImageCodecJPEG {
  QD_SMART_IMAGE_CODEC(TdxGPImageCodecJPG)
 public:
  String Ext() const override { return u".jpg"; }
  String Description() const override { return String(); }
};

class TdxGPImageCodecPNG : public TdxGPImageCodec {
  QD_SMART_IMAGE_CODEC(TdxGPImageCodecPNG)
 public:
  TdxImageDataFormat ID() const override { return dxImagePng; }
  String Ext() const override { return u".png"; }
  bool GetSize(TStream* AStream, TSize& ASize) const override;
  bool CanLoadStream(TStream* AStream) const override;
};

class TdxGPImageCodecTIFF : public TdxGPImageCodec {
  QD_SMART_IMAGE_CODEC(TdxGPImageCodecTIFF)
 public:
  TdxImageDataFormat ID() const override { return dxImageTiff; }
  String Ext() const override { return u".tiff"; }
  bool GetSize(TStream* AStream, TSize& ASize) const override;
  bool CanLoadStream(TStream* AStream) const override;
};

class TdxGPImageCodecTIF : public TdxGPImageCodecTIFF {
  QD_SMART_IMAGE_CODEC(TdxGPImageCodecTIF)
 public:
  String Ext() const override { return u".tif"; }
  String Description() const override { return String(); }
};

// Enhanced metafiles: recognised by their header and sized from its frame; there is no
// encoder, so saving answers False.
class TdxGPImageCodecEMF : public TdxGPImageCodec {
  QD_SMART_IMAGE_CODEC(TdxGPImageCodecEMF)
 public:
  TdxImageDataFormat ID() const override { return dxImageEmf; }
  String Ext() const override { return u".emf"; }
  bool GetSize(TStream* AStream, TSize& ASize) const override;
  bool CanLoadStream(TStream* AStream) const override;
};

// Windows metafiles: recognised by the placeable or the standard header; only a placeable
// one tells its size.
class TdxGPImageCodecWMF : public TdxGPImageCodecEMF {
  QD_SMART_IMAGE_CODEC(TdxGPImageCodecWMF)
 public:
  TdxImageDataFormat ID() const override { return dxImageWmf; }
  String Ext() const override { return u".wmf"; }
  bool GetSize(TStream* AStream, TSize& ASize) const override;
  bool CanLoadStream(TStream* AStream) const override;
};

// ---- Image classes ------------------------------------------------------------------------

class TdxGPImage : public TdxCustomSmartImage {
  QD_CLASS(TdxGPImage, TdxCustomSmartImage)

 public:
  TdxGPImage() = default;

  // The GDI+ image; a handle of another kind is converted to a bitmap first. Hides the
  // base's Handle, which HandleAsObject answers.
  GpImage* Handle();
  void SetHandle(GpImage* AImage);
  using TdxCustomSmartImage::SetHandle;
  TdxSmartImageCustomHandle* HandleAsObject() { return TdxCustomSmartImage::Handle(); }

  // A canvas on the image (converted to a bitmap first); the caller frees it.
  std::unique_ptr<TdxGPCanvas> CreateCanvas();
  std::unique_ptr<TdxGPImage> Clone();
  void Flip(bool AHorizontally, bool AVertically);
  // This image (with ASourceAlpha) under AOverlayImage stretched over it (with AOverlayAlpha).
  std::unique_ptr<TdxGPImage> MakeComposition(TdxCustomSmartImage* AOverlayImage, uint8_t AOverlayAlpha,
                                              uint8_t ASourceAlpha = 255);
  using TdxCustomSmartImage::StretchDraw;
  void StretchDraw(TdxGPCanvas* ACanvas, const TdxRectF& ADest, IdxColorPalette* APalette,
                   TdxGPImageAttributes* AAttributes, const TdxRectF& ASource);
  void StretchDraw(TdxGPCanvas* ACanvas, const TRect& ADest, IdxColorPalette* APalette,
                   TdxGPImageAttributes* AAttributes, const TRect& ASource);

 protected:
  std::unique_ptr<TdxSmartImageCustomHandle> CreateCache(const TSize& ASize) override;
  // JPEG bytes are decoded at the DCT scale that still covers ASize, then resized.
  std::unique_ptr<TdxSmartImageCustomHandle> CreateCacheFromData(const TSize& ASize) override;
};

class TdxSmartImage : public TdxGPImage {
  QD_CLASS(TdxSmartImage, TdxGPImage)

 public:
  TdxSmartImage() = default;
};

// Always saved as PNG.
class TdxPNGImage : public TdxSmartImage {
  QD_CLASS(TdxPNGImage, TdxSmartImage)

 public:
  TdxPNGImage() = default;
  void SaveToStream(TStream* AStream) override;
};

// A control glyph that remembers the size and DPI it was designed at.
class TdxSmartGlyph : public TdxSmartImage, public IdxSourceSize, public IdxSourceDPI {
  QD_CLASS(TdxSmartGlyph, TdxSmartImage)
  QD_PUBLISHED(TdxSmartGlyph)

 public:
  TdxSmartGlyph();

  int32_t SourceDPI() const { return FSourceDPI; }
  void SetSourceDPI(int32_t AValue);
  int32_t SourceWidth() const;
  void SetSourceWidth(int32_t AValue);
  int32_t SourceHeight() const;
  void SetSourceHeight(int32_t AValue);
  bool IsSourceDPIStored() const { return !Empty(); }
  bool IsSourceWidthStored() const { return FSourceWidth != 0; }
  bool IsSourceHeightStored() const { return FSourceHeight != 0; }

  TSize GetSourceSize() override;
  int32_t GetSourceDPI() override { return FSourceDPI; }

 protected:
  bool IsBitmapStream(TStream* AStream) override;
  void AssignFromSmartImage(TdxCustomSmartImage* AImage) override;
  void CreateHandleFromBitmap(TBitmap* ABitmap) override;

 private:
  bool FTransparent = true;
  int32_t FSourceDPI = dxDefaultDPI;
  int32_t FSourceWidth = 0;
  int32_t FSourceHeight = 0;
};

namespace dxGDIPlusImage {
// Registers the image classes, picture formats, clipboard formats and codecs (nothing when
// GDI+ is missing); Finalize undoes it.
void Initialize();
void Finalize();
bool IsRegistered();
}  // namespace dxGDIPlusImage

}  // namespace qd
