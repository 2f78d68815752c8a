#pragma once
// The smart image: a picture kept as its encoded file bytes (or as 32-bit pixels) and decoded
// into a handle only when something needs pixels, a size the header cannot tell, or a format
// conversion. Codecs, found through the ordered codec repository, decode and encode. Also the
// animation of multi-frame images and the exchange of images with the clipboard.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/classes/streams.h"
#include "platform/forms/graphics.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxCore.h"
#include "ui/graphics/dxCoreGraphics.h"

namespace qd {

enum TdxImageDataFormat : uint8_t {
  dxImageUnknown,
  dxImageBitmap,
  dxImageJpeg,
  dxImagePng,
  dxImageTiff,
  dxImageGif,
  dxImageEmf,
  dxImageExif,
  dxImageIcon,
  dxImageMemoryBmp,
  dxImageWmf
};
inline constexpr int dxImageDataFormatCount = 11;

// Encoded bytes.
class TdxSmartImageDataStream : public TMemoryStream {
  QD_CLASS(TdxSmartImageDataStream, TMemoryStream)

 public:
  // nullptr for nullptr; otherwise a copy of all bytes at position 0 (the source keeps its
  // position).
  static std::unique_ptr<TdxSmartImageDataStream> Clone(TdxSmartImageDataStream* ASource);
};

// The stored form of an image: encoded bytes or pixels, plus sizes.
class TdxSmartImageData {
 public:
  TdxSmartImageData();

  bool Empty() const { return !FData && FBits.empty(); }
  void Clear();
  // A bitmap's pixels (top-down) with its colour key.
  void LoadFromBitmap(TBitmap* ABitmap);
  void LoadFromBits(int32_t AWidth, int32_t AHeight, const TRGBColors& ABits, TAlphaFormat AAlphaFormat);

  bool FTransparent = false;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = tmAuto;
  TRGBColors FBits;
  TAlphaFormat FBitsFormat = afIgnored;
  std::unique_ptr<TdxSmartImageDataStream> FData;
  TSize FNewSize;
  TSize FSize;

 private:
  void ApplyMask();
};

bool dxIsSizeValid(const TSize& ASize);

// ---- Handles ------------------------------------------------------------------------------

// The decoded image.
class TdxSmartImageCustomHandle : public TInterfacedPersistent {
  QD_CLASS(TdxSmartImageCustomHandle, TInterfacedPersistent)

 public:
  virtual void GetSize(TSize& ASize) = 0;
  virtual void SetSize(const TSize&) {}
  virtual bool Empty();
  virtual TdxAlphaState GetAlphaState();
  // A new 32-bit bitmap of the handle's size with the handle drawn on it whole.
  virtual std::unique_ptr<TBitmap> GetAsBitmap();
  // The pixels of GetAsBitmap, top-down.
  virtual TRGBColors GetAsBitmapBits();
  // The float form truncates both rectangles and calls the integer form.
  virtual void Draw(HDC DC, const TdxRectF& ADest, const TdxRectF& ASource, uint8_t AAlpha,
                    IdxColorPalette* APalette);
  virtual void Draw(HDC DC, const TRect& ADest, const TRect& ASource, uint8_t AAlpha,
                    IdxColorPalette* APalette) = 0;

  // Equal size and, when both are not empty, equal pixels.
  virtual bool Equals(TdxSmartImageCustomHandle* AHandle);
  virtual uint32_t GetHashCode();

  TRect GetClientRect();
  int32_t GetWidth();
  int32_t GetHeight();
};

class TdxSmartImageEmptyHandle : public TdxSmartImageCustomHandle {
  QD_CLASS(TdxSmartImageEmptyHandle, TdxSmartImageCustomHandle)

 public:
  void GetSize(TSize& ASize) override { ASize = TSize{}; }
  using TdxSmartImageCustomHandle::Draw;
  void Draw(HDC, const TRect&, const TRect&, uint8_t, IdxColorPalette*) override {}
};

class TdxSmartImageCodec;
using TdxSmartImageCodecClass = const TdxSmartImageCodec*;

// Interfaces a handle may implement; the image answers them through its handle.
class IdxAnimatedImage {
 public:
  virtual ~IdxAnimatedImage() = default;
  virtual int32_t GetActiveFrame() = 0;
  virtual int32_t GetAnimationFrameCount() = 0;
  virtual int32_t GetAnimationFrameDelay() = 0;
  virtual int32_t GetAnimationLoopCount() = 0;
  virtual void SetActiveFrame(int32_t AIndex) = 0;
};
class IdxImageDataFormat {
 public:
  virtual ~IdxImageDataFormat() = default;
  virtual TdxImageDataFormat GetImageFormat() = 0;
};
class IdxImageDataFormatEx {
 public:
  virtual ~IdxImageDataFormatEx() = default;
  virtual TdxSmartImageCodecClass GetImageFormat() = 0;
};
// A resolution-independent image.
class IdxVectorImage {
 public:
  virtual ~IdxVectorImage() = default;
};

// ---- Codecs -------------------------------------------------------------------------------

// A codec: one shared instance per codec class stands for the class (nobody else creates
// codecs). Lookups go through the repository.
class TdxSmartImageCodec {
 public:
  virtual ~TdxSmartImageCodec() = default;
  TdxSmartImageCodec(const TdxSmartImageCodec&) = delete;
  TdxSmartImageCodec& operator=(const TdxSmartImageCodec&) = delete;

  virtual String ClassName() const = 0;
  virtual TdxImageDataFormat ID() const { return dxImageUnknown; }
  // The extension without its dot, upper-cased, then dxSmartImageCodecDescriptionSuffix.
  virtual String Description() const;
  // With its dot.
  virtual String Ext() const { return String(); }
  // Reads only the header.
  virtual bool GetSize(TStream*, TSize&) const { return false; }
  virtual bool CanLoadFromBits() const { return false; }
  // Leaves the position where it found it.
  virtual bool CanLoadStream(TStream*) const { return false; }
  virtual bool CanSaveImage(TdxSmartImageCustomHandle*) const { return false; }
  virtual bool Load(const TRGBColors&, TAlphaFormat, int32_t, int32_t,
                    std::unique_ptr<TdxSmartImageCustomHandle>&) const {
    return false;
  }
  virtual bool Load(TStream*, std::unique_ptr<TdxSmartImageCustomHandle>&) const { return false; }
  virtual bool Save(TStream*, TdxSmartImageCustomHandle*) const { return false; }

 protected:
  TdxSmartImageCodec() = default;
};

// In a codec class body: its name and the instance that stands for the class.
#define QD_SMART_IMAGE_CODEC(Cls)                \
 public:                                         \
  ::qd::String ClassName() const override {      \
    return u"" #Cls;                             \
  }                                              \
  static ::qd::TdxSmartImageCodecClass Class() { \
    static const Cls instance;                   \
    return &instance;                            \
  }                                              \
                                                 \
 protected:                                      \
  Cls() = default;                               \
                                                 \
 private:

// " graphics from Calderwisp" until shut-down.
String& dxSmartImageCodecDescriptionSuffix();

class TdxSmartImageCodecsRepository {
 public:
  static void Register(TdxSmartImageCodecClass ACodec);
  static void Unregister(TdxSmartImageCodecClass ACodec);
  static bool Contains(TdxSmartImageCodecClass ACodec);
  static int32_t GetCount();
  static TdxSmartImageCodecClass GetItem(int32_t AIndex);
  static TdxSmartImageCodecClass GetFormatByID(TdxImageDataFormat AID);
  // Without regard to case; AExt includes the dot.
  static TdxSmartImageCodecClass GetFormatByExt(const String& AExt);
  static TdxSmartImageCodecClass GetFormatFromStream(TStream* AStream);
  static bool GetImageInfo(TStream* AStream, TSize& ASize, TdxSmartImageCodecClass& ACodec);
  static bool GetImageInfo(const String& AFileName, TSize& ASize, TdxSmartImageCodecClass& ACodec);
  static bool GetImageInfo(TdxSmartImageData* AImageData, TSize& ASize, TdxSmartImageCodecClass& ACodec);
  static bool Load(const TRGBColors& ABits, TAlphaFormat AAlphaFormat, int32_t AWidth, int32_t AHeight,
                   std::unique_ptr<TdxSmartImageCustomHandle>& AHandle);
  static bool Load(TStream* AStream, std::unique_ptr<TdxSmartImageCustomHandle>& AHandle);
  static bool Load(TdxSmartImageData* AImageData, std::unique_ptr<TdxSmartImageCustomHandle>& AHandle);
};

class TdxSmartImageHelper {
 public:
  static void AllocColors(int32_t AWidth, int32_t AHeight, TRGBColors& AColors, TdxAlphaColor AColor);
  static bool AreColorsPremultiplied(const TRGBColors& ABits);
  static bool HasAlpha(const TRGBColors& ABits);
};

// ---- Animation ----------------------------------------------------------------------------

class TdxCustomSmartImage;

// Steps an image's frames; the base has no timer (the graphics layer installs a timed one).
class TdxSmartImageAnimationController {
 public:
  explicit TdxSmartImageAnimationController(TdxCustomSmartImage* AImage) : FImage(AImage) {}
  virtual ~TdxSmartImageAnimationController() = default;
  TdxSmartImageAnimationController(const TdxSmartImageAnimationController&) = delete;
  TdxSmartImageAnimationController& operator=(const TdxSmartImageAnimationController&) = delete;

  virtual void ActivateTimer() {}
  virtual void DeactivateTimer() {}
  virtual bool IsTimerActive() { return false; }
  // Shows the next frame; when the frame did not change the image stops its animation,
  // which frees this controller.
  virtual void TimerHandler(TObject* Sender);
  void StartAnimation() { ActivateTimer(); }

 protected:
  TdxCustomSmartImage* FImage;
};

// The class reference through which images create their controllers.
using TdxSmartImageAnimationControllerClass = TdxSmartImageAnimationController* (*)(TdxCustomSmartImage*);
TdxSmartImageAnimationControllerClass ImageAnimationControllerClass();
void SetImageAnimationControllerClass(TdxSmartImageAnimationControllerClass AClass);
TdxSmartImageAnimationController* dxCreateBaseAnimationController(TdxCustomSmartImage* AImage);

// Drives the frames with a TcxTimer whose interval is the current frame's delay.
class TcxTimer;
class TdxImageAnimationController : public TdxSmartImageAnimationController {
 public:
  using TdxSmartImageAnimationController::TdxSmartImageAnimationController;
  ~TdxImageAnimationController() override;
  void ActivateTimer() override;
  void DeactivateTimer() override;
  bool IsTimerActive() override;
  static TdxSmartImageAnimationController* CreateController(TdxCustomSmartImage* AImage);

 private:
  TcxTimer* FTimer = nullptr;
};

// ---- Clipboard tables ---------------------------------------------------------------------

// Clipboard format numbers by image format (0: none).
UINT& ImageClipboardFormats(TdxImageDataFormat AFormat);
inline constexpr TdxImageDataFormat SupportedFormats[] = {dxImagePng, dxImageGif, dxImageTiff, dxImageJpeg,
                                                          dxImageBitmap};

// ---- The image ----------------------------------------------------------------------------

extern const TResStringRec sdxUnsupportedImageFormat;  // "Unsupported image format."
extern const TResStringRec sdxOperationNotSupported;   // "Operation was not supported."
extern const TResStringRec sdxImageCodecExportFailed;  // "The %s codec failed to export the image (%d)"

class TdxCustomSmartImage : public TGraphic {
  QD_CLASS(TdxCustomSmartImage, TGraphic)

 public:
  TdxCustomSmartImage();
  ~TdxCustomSmartImage() override;

  // The size constructors: pixels all AColor.
  void CreateSize(int32_t AWidth, int32_t AHeight, TdxAlphaColor AColor = 0);
  void CreateSize(const TRect& ARect, TdxAlphaColor AColor = 0);
  void CreateSize(const TSize& ASize, TdxAlphaColor AColor = 0);
  // A new image of the same class with the same content.
  std::unique_ptr<TdxCustomSmartImage> Clone();

  // TGraphic.
  void Assign(TPersistent* ASource) override;
  bool Empty() const override;
  int Width() const override;
  int Height() const override;
  // Sizes change through Resize.
  void SetWidth(int) override {}
  void SetHeight(int) override {}
  void SetSize(int AWidth, int AHeight) override { Resize(AWidth, AHeight); }
  bool Transparent() const override;
  bool SupportsPartialTransparency() const override { return true; }
  void LoadFromStream(TStream* AStream) override;
  void SaveToStream(TStream* AStream) override;
  void Draw(TCanvas* ACanvas, const TRect& ARect) override;
  void DrawTransparent(TCanvas* ACanvas, const TRect& ARect, uint8_t AOpacity) override;
  void SaveToFile(const String& AFileName);

  // Loading.
  void LoadFromBits(int32_t AWidth, int32_t AHeight, const TRGBColors& ABits, bool AHasAlphaChannel);
  void LoadFromBits(int32_t AWidth, int32_t AHeight, const TRGBColors& ABits, TAlphaFormat AAlphaFormat);
  virtual void SetBitmap(TBitmap* ABitmap);
  void LoadFromHBitmap(HBITMAP ABitmap, HPALETTE APalette = nullptr);
  // RT_BITMAP goes through a bitmap; other types are read as a stream.
  void LoadFromResource(HINSTANCE AInstance, const String& AResName, const Char* AResType);
  // A blob: skips an 8-byte {1, 0x0100, length - 8} header when present.
  void LoadFromFieldValue(const Variant& AValue);
  void SaveToStreamByCodec(TStream* AStream, TdxSmartImageCodecClass ACodec);
  void SaveToStreamByCodec(TStream* AStream, TdxImageDataFormat AFormat);

  // Queries.
  void GetSize(TSize& ASize);
  TSize Size() {
    TSize s;
    GetSize(s);
    return s;
  }
  TRect GetClientRect();
  TdxSmartImageCustomHandle* Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  // Takes ownership of AHandle (nullptr clears the image).
  void SetHandle(std::unique_ptr<TdxSmartImageCustomHandle> AHandle);
  TdxImageDataFormat ImageDataFormat();
  void SetImageDataFormat(TdxImageDataFormat AValue);
  TdxSmartImageCodecClass ImageCodec();
  void SetImageCodec(TdxSmartImageCodecClass AValue);
  TdxAlphaState AlphaState();
  bool IsAlphaUsed() { return AlphaState() != asOpaque; }
  virtual std::unique_ptr<TBitmap> GetAsBitmap();
  TRGBColors GetBitmapBits();
  virtual bool Compare(TdxCustomSmartImage* AImage);
  bool Equals(TGraphic* AGraphic);
  uint32_t GetHashCode();
  bool UseCache() const { return FUseCache; }
  void SetUseCache(bool AValue);

  // The interface from the image itself, else from its handle (which decodes it).
  template <class I>
  I* Supports() {
    if (auto* i = dynamic_cast<I*>(this)) return i;
    return dynamic_cast<I*>(Handle());
  }

  // Changing.
  virtual void Clear();
  void Resize(int32_t AWidth, int32_t AHeight) { Resize(TSize{AWidth, AHeight}); }
  virtual void Resize(const TSize& ASize);
  void Scale(int32_t M, int32_t D);
  virtual void ChangeColor(TColor AColor);
  void ConvertToBitmap();
  void Dormant();
  void CheckIsImageDataValid();

  // Drawing.
  void StretchDraw(HDC DC, const TdxRectF& ADest, const TdxRectF& ASource, uint8_t AAlpha = 255,
                   IdxColorPalette* APalette = nullptr);
  void StretchDraw(HDC DC, const TRect& ADest, const TRect& ASource, uint8_t AAlpha = 255,
                   IdxColorPalette* APalette = nullptr);
  void StretchDraw(HDC DC, const TRect& ADest, uint8_t AAlpha = 255, IdxColorPalette* APalette = nullptr);

  // Animation.
  int32_t AnimationFrameCount();
  int32_t AnimationFrameDelay();
  void SetAnimationFrameDelay(int32_t AValue);
  int32_t AnimationLoopCount();
  TdxDefaultBoolean AnimationLoop() const { return FAnimationLoop; }
  void SetAnimationLoop(TdxDefaultBoolean AValue) { FAnimationLoop = AValue; }
  int32_t ActiveFrame();
  void SetActiveFrame(int32_t AValue);
  bool CanStartAnimation();
  void StartAnimation();
  void StopAnimation();
  bool Animation();
  void SetAnimation(bool AValue);

  // Clipboard.
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  static bool IsSupportClipboardFormat(UINT AFormat);
  static bool HasClipboardFormat();
  void LoadFromClipboardFormat(UINT AFormat, HANDLE AData, HPALETTE APalette);
  // A white-backed bitmap in AFormat/AData; for formats with a clipboard format of their
  // own, the bitmap goes on the (open) clipboard at once and AFormat/AData carry the bytes.
  void SaveToClipboardFormat(UINT& AFormat, HANDLE& AData, HPALETTE& APalette);

  void Changed() { Changed(this); }

 protected:
  void Changed(TObject* Sender) override;
  virtual bool CanCreateCache(const TSize& AImageSize, const TSize& ATargetSize);
  virtual std::unique_ptr<TdxSmartImageCustomHandle> CreateCache(const TSize& ASize);
  // A cache made straight from the stored bytes, before the image is decoded (nullptr when
  // the class cannot): a format that decodes at a reduced size spares the full decode.
  virtual std::unique_ptr<TdxSmartImageCustomHandle> CreateCacheFromData(const TSize& ASize);
  virtual bool IsBitmapStream(TStream* AStream);
  virtual bool AssignFromClipboard();
  virtual void AssignFromGraphic(TGraphic* AGraphic);
  virtual void AssignFromSmartImage(TdxCustomSmartImage* AImage);
  virtual void CreateHandleFromBitmap(TBitmap* ABitmap);
  void CreateHandleFromBits(int32_t AWidth, int32_t AHeight, TAlphaFormat AFormat, const TRGBColors& ABits);
  void CreateHandleFromStream(TStream* AStream);
  virtual void FreeHandle();
  void HandleNeeded();
  std::unique_ptr<TdxSmartImageDataStream> ExportToStream(TdxSmartImageCodecClass ACodec);
  TdxSmartImageData* ImageData() { return FImageData.get(); }
  static void Check(bool ACondition, const String& AMessage);

 private:
  friend class TdxSmartImageAnimationController;
  void CreateHandleFromImageData();
  void PopulateImageDataFromHandle();

  std::unique_ptr<TdxSmartImageData> FImageData;
  std::unique_ptr<TdxSmartImageCustomHandle> FHandle;
  TdxAlphaState FAlphaState = asNoAlpha;
  bool FAlphaStateAssigned = false;
  std::unique_ptr<TdxSmartImageCustomHandle> FCache;
  TGUID FCachePaletteID{};
  bool FUseCache = false;
  std::unique_ptr<TdxSmartImageAnimationController> FAnimationController;
  int32_t FAnimationFrameDelay = 0;
  TdxDefaultBoolean FAnimationLoop = bTrue;
  int32_t FAnimationLoopIndex = 0;
};

namespace dxSmartImage {
// Installs the timed animation controller; shut-down restores the base one and clears the
// codec description suffix.
void Initialize();
void Finalize();
}  // namespace dxSmartImage

}  // namespace qd
