// The GDI+ picture classes, the image forms of the GDI+ canvas, and the registration of
// classes, picture formats, clipboard formats and codecs.
#include "ui/graphics/dxGDIPlusImage.h"

#include <algorithm>
#include <cstring>

#include "platform/base/scopeexit.h"
#include "platform/gdiplus/codec_io.h"
#include "platform/os/user_clipboard.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxGPImage)
QD_IMPLEMENT_CLASS(TdxSmartImage)
QD_IMPLEMENT_CLASS(TdxPNGImage)
QD_IMPLEMENT_CLASS(TdxSmartGlyph)

// ---- TdxGPImage ---------------------------------------------------------------------------

GpImage* TdxGPImage::Handle() {
  if (!dynamic_cast<TdxGPImageHandle*>(HandleAsObject())) ConvertToBitmap();
  auto* handle = dynamic_cast<TdxGPImageHandle*>(HandleAsObject());
  return handle ? handle->Handle() : nullptr;
}

void TdxGPImage::SetHandle(GpImage* AImage) {
  SetHandle(std::make_unique<TdxGPImageHandle>(AImage));
}

std::unique_ptr<TdxGPCanvas> TdxGPImage::CreateCanvas() {
  if (!ImageData()->Empty()) ConvertToBitmap();
  GpImage* image = Handle();
  // The handle is the image from now on: stored bytes or pixels would describe the old one.
  ImageData()->Clear();
  GpGraphics* graphics = nullptr;
  GdipCheck(GdipGetImageGraphicsContext(image, &graphics));
  auto canvas = std::make_unique<TdxGPCanvas>(graphics);
  Changed();
  return canvas;
}

std::unique_ptr<TdxGPImage> TdxGPImage::Clone() {
  std::unique_ptr<TdxCustomSmartImage> clone = TdxCustomSmartImage::Clone();
  return std::unique_ptr<TdxGPImage>(static_cast<TdxGPImage*>(clone.release()));
}

void TdxGPImage::Flip(bool AHorizontally, bool AVertically) {
  if (!(AHorizontally || AVertically) || Empty()) return;
  auto* flip = dynamic_cast<IdxGpFlipContent*>(HandleAsObject());
  if (!flip) {
    ConvertToBitmap();
    flip = dynamic_cast<IdxGpFlipContent*>(HandleAsObject());
  }
  if (!flip) return;
  flip->Flip(AHorizontally, AVertically);
  ImageData()->Clear();
  Changed();
}

std::unique_ptr<TdxGPImage> TdxGPImage::MakeComposition(TdxCustomSmartImage* AOverlayImage,
                                                        uint8_t AOverlayAlpha, uint8_t ASourceAlpha) {
  auto result = std::make_unique<TdxGPImage>();
  const TSize size = Size();
  result->CreateSize(size, 0);
  if (!dxIsSizeValid(size)) return result;
  const TRect r{0, 0, size.cx, size.cy};
  auto canvas = result->CreateCanvas();
  canvas->Draw(this, r, ASourceAlpha);
  if (AOverlayImage && !AOverlayImage->Empty()) {
    if (auto* overlay = dynamic_cast<TdxGPImage*>(AOverlayImage)) {
      canvas->Draw(overlay, r, AOverlayAlpha, overlay->GetClientRect());
    } else {
      auto bitmap = AOverlayImage->GetAsBitmap();
      canvas->DrawBitmap(bitmap.get(), r, AOverlayAlpha);
    }
  }
  return result;
}

void TdxGPImage::StretchDraw(TdxGPCanvas* ACanvas, const TdxRectF& ADest, IdxColorPalette* APalette,
                             TdxGPImageAttributes* AAttributes, const TdxRectF& ASource) {
  if (auto* draw = dynamic_cast<IdxGPGraphicDraw*>(HandleAsObject()))
    draw->Draw(ACanvas, ADest, AAttributes, ASource);
  else
    StretchDraw(ACanvas, cxRect(ADest), APalette, AAttributes, cxRect(ASource));
}

void TdxGPImage::StretchDraw(TdxGPCanvas* ACanvas, const TRect& ADest, IdxColorPalette* APalette,
                             TdxGPImageAttributes* AAttributes, const TRect& ASource) {
  TdxSmartImageCustomHandle* handle = HandleAsObject();
  if (auto* draw = dynamic_cast<IdxGPGraphicDraw*>(handle)) {
    draw->Draw(ACanvas, ADest, AAttributes, ASource);
    return;
  }
  // A handle that draws with GDI: on the canvas's DC under the canvas's world transform.
  const auto* blend = dynamic_cast<TdxGPAlphaBlendAttributes*>(AAttributes);
  const uint8_t alpha = blend ? blend->Alpha() : 255;
  std::unique_ptr<TdxGPMatrix> matrix(ACanvas->GetWorldTransform());
  float m[6] = {1, 0, 0, 1, 0, 0};
  matrix->GetElements(m[0], m[1], m[2], m[3], m[4], m[5]);
  const XFORM transform{m[0], m[1], m[2], m[3], m[4], m[5]};
  HDC dc = ACanvas->GetHDC();
  ScopeExit release{[&] { ACanvas->ReleaseHDC(dc); }};
  const int oldMode = SetGraphicsMode(dc, GM_ADVANCED);
  XFORM oldTransform{};
  GetWorldTransform(dc, &oldTransform);
  ScopeExit restore{[&] {
    SetWorldTransform(dc, &oldTransform);
    SetGraphicsMode(dc, oldMode);
  }};
  SetWorldTransform(dc, &transform);
  handle->Draw(dc, ADest, ASource, alpha, APalette);
}

std::unique_ptr<TdxSmartImageCustomHandle> TdxGPImage::CreateCache(const TSize& ASize) {
  if (auto* handle = dynamic_cast<TdxGPImageHandle*>(HandleAsObject())) {
    auto cache = handle->Clone();
    cache->Resize(ASize, 0, 0);
    return cache;
  }
  return TdxCustomSmartImage::CreateCache(ASize);
}

std::unique_ptr<TdxSmartImageCustomHandle> TdxGPImage::CreateCacheFromData(const TSize& ASize) {
  TdxSmartImageDataStream* data = ImageData()->FData.get();
  if (!data) return nullptr;
  data->SetPosition(0);
  if (!TdxGPImageCodecJPEG::Class()->CanLoadStream(data)) return nullptr;
  codecs::DecodeOptions options;
  options.MinWidth = ASize.cx;
  options.MinHeight = ASize.cy;
  options.ExactSize = true;
  codecs::Image preview;
  const codecs::ByteSpan bytes(static_cast<const uint8_t*>(data->Memory()), size_t(data->Size()));
  if (codecs::Decode(bytes, preview, options) != codecs::Status::Ok) return nullptr;
  codecs::Frame& frame = preview.Frames[0];
  if (frame.Width == ASize.cx && frame.Height == ASize.cy) {
    TRGBColors bits(frame.Pixels.size());
    std::memcpy(static_cast<void*>(bits.data()), frame.Pixels.data(), bits.size() * sizeof(RGBQUAD));
    return TdxGPImageHandle::CreateFromBits(frame.Width, frame.Height, std::move(bits), afPremultiplied);
  }
  // A bitmap over the preview's pixels (0xAARRGGBB rows, as GDI+ keeps them; opaque, so
  // they are premultiplied as they stand), resized into a bitmap of its own before the
  // preview goes.
  GpBitmap* bitmap = nullptr;
  GdipCheck(GdipCreateBitmapFromScan0(frame.Width, frame.Height, frame.Stride(), 0x000E200B,
                                      reinterpret_cast<BYTE*>(frame.Pixels.data()), &bitmap));
  auto cache = std::make_unique<TdxGPImageHandle>(bitmap);
  cache->Resize(ASize, 0, 0);
  return cache;
}

void TdxPNGImage::SaveToStream(TStream* AStream) {
  SaveToStreamByCodec(AStream, dxImagePng);
}

// ---- TdxSmartGlyph ------------------------------------------------------------------------

void TdxSmartGlyph::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("SourceDPI", &TdxSmartGlyph::SourceDPI, &TdxSmartGlyph::SetSourceDPI)
      .NoDefault()
      .Stored(&TdxSmartGlyph::IsSourceDPIStored);
  r.Prop("SourceHeight", &TdxSmartGlyph::SourceHeight, &TdxSmartGlyph::SetSourceHeight)
      .NoDefault()
      .Stored(&TdxSmartGlyph::IsSourceHeightStored);
  r.Prop("SourceWidth", &TdxSmartGlyph::SourceWidth, &TdxSmartGlyph::SetSourceWidth)
      .NoDefault()
      .Stored(&TdxSmartGlyph::IsSourceWidthStored);
}

TdxSmartGlyph::TdxSmartGlyph() = default;

void TdxSmartGlyph::SetSourceDPI(int32_t AValue) {
  AValue = dxCheckDPIValue(AValue);
  if (AValue == FSourceDPI) return;
  FSourceDPI = AValue;
  Changed();
}

int32_t TdxSmartGlyph::SourceWidth() const {
  return FSourceWidth != 0 ? FSourceWidth : Width();
}

void TdxSmartGlyph::SetSourceWidth(int32_t AValue) {
  AValue = std::max(AValue, 0);
  if (AValue == Width()) AValue = 0;
  if (AValue == FSourceWidth) return;
  FSourceWidth = AValue;
  Changed();
}

int32_t TdxSmartGlyph::SourceHeight() const {
  return FSourceHeight != 0 ? FSourceHeight : Height();
}

void TdxSmartGlyph::SetSourceHeight(int32_t AValue) {
  AValue = std::max(AValue, 0);
  if (AValue == Height()) AValue = 0;
  if (AValue == FSourceHeight) return;
  FSourceHeight = AValue;
  Changed();
}

TSize TdxSmartGlyph::GetSourceSize() {
  if (FSourceWidth != 0 || FSourceHeight != 0) return TSize{SourceWidth(), SourceHeight()};
  return Size();
}

bool TdxSmartGlyph::IsBitmapStream(TStream* AStream) {
  if (TdxSmartImage::IsBitmapStream(AStream)) return true;
  const int64_t position = AStream->Position();
  uint8_t length[4] = {};
  uint8_t header[14] = {};
  const bool complete = AStream->Read(length, 4) == 4 && AStream->Read(header, 14) == 14;
  const auto le32 = [](const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
  };
  if (complete && header[0] == 'B' && header[1] == 'M' && le32(header + 2) == le32(length)) {
    AStream->SetPosition(position + 4);
    return true;
  }
  // Also after a short read: the next load starts at the first byte again.
  AStream->SetPosition(position);
  return false;
}

void TdxSmartGlyph::AssignFromSmartImage(TdxCustomSmartImage* AImage) {
  TdxSmartImage::AssignFromSmartImage(AImage);
  if (auto* glyph = dynamic_cast<TdxSmartGlyph*>(AImage)) {
    SetSourceDPI(glyph->SourceDPI());
    SetSourceHeight(glyph->SourceHeight());
    SetSourceWidth(glyph->SourceWidth());
  }
}

void TdxSmartGlyph::CreateHandleFromBitmap(TBitmap* ABitmap) {
  ImageData()->FTransparent = FTransparent;
  TdxSmartImage::CreateHandleFromBitmap(ABitmap);
}

// ---- The canvas's image forms -------------------------------------------------------------

namespace {

TdxGPImageAttributes* GpImageAlphaAttributes(uint8_t AAlpha) {
  return AAlpha == 255 ? nullptr : dxGpGetAlphaBlendAttributes(AAlpha);
}

}  // namespace

void TdxGPCanvas::Draw(TdxGPImage* AGraphic, const TdxRectF& R, uint8_t AAlpha) {
  Draw(AGraphic, R, GpImageAlphaAttributes(AAlpha), TdxRectF(AGraphic->GetClientRect()));
}

void TdxGPCanvas::Draw(TdxGPImage* AGraphic, const TRect& R, uint8_t AAlpha) {
  Draw(AGraphic, R, AAlpha, AGraphic->GetClientRect());
}

void TdxGPCanvas::Draw(TdxGPImage* AGraphic, const TRect& R, TdxGPImageAttributes* AAttributes) {
  AGraphic->StretchDraw(this, R, nullptr, AAttributes, AGraphic->GetClientRect());
}

void TdxGPCanvas::Draw(TdxGPImage* AGraphic, const TdxRectF& ADestRect, TdxGPImageAttributes* AAttributes,
                       const TdxRectF& ASourceRect) {
  AGraphic->StretchDraw(this, ADestRect, nullptr, AAttributes, ASourceRect);
}

void TdxGPCanvas::Draw(TdxGPImage* AGraphic, const TRect& ADestRect, uint8_t AAlpha,
                       const TRect& ASourceRect) {
  AGraphic->StretchDraw(this, ADestRect, nullptr, GpImageAlphaAttributes(AAlpha), ASourceRect);
}

void TdxGPCanvas::Draw(TdxGPImage* AGraphic, const TdxRectF& ADestRect, uint8_t AAlpha,
                       const TdxRectF& ASourceRect) {
  AGraphic->StretchDraw(this, ADestRect, nullptr, GpImageAlphaAttributes(AAlpha), ASourceRect);
}

void TdxGPCanvas::Draw(TdxGPImage* AGraphic, const std::vector<TdxPointF>& APoints) {
  std::vector<gdiplus::GpPointF> points;
  for (const TdxPointF& p : APoints) points.push_back(gdiplus::GpPointF{p.X, p.Y});
  GdipCheck(
      GdipDrawImagePoints(FHandle, AGraphic->Handle(), points.data(), static_cast<int32_t>(points.size())));
}

void TdxGPCanvas::Draw(TdxGPImage* AGraphic, const std::vector<TdxPointF>& APoints,
                       TdxGPImageAttributes* AAttributes) {
  std::vector<gdiplus::GpPointF> points;
  for (const TdxPointF& p : APoints) points.push_back(gdiplus::GpPointF{p.X, p.Y});
  const TSize size = AGraphic->Size();
  GdipCheck(GdipDrawImagePointsRect(FHandle, AGraphic->Handle(), points.data(),
                                    static_cast<int32_t>(points.size()), 0, 0, static_cast<float>(size.cx),
                                    static_cast<float>(size.cy), gdiplus::UnitPixel,
                                    dxGpGetImageAttributesHandle(AAttributes), nullptr, nullptr));
}

void TdxGPCanvas::DrawBitmap(TBitmap* ABitmap, const TRect& R, uint8_t AAlpha) {
  if (!ABitmap || ABitmap->Empty()) return;
  TdxSmartImageData data;
  data.LoadFromBitmap(ABitmap);
  if (data.FBits.empty()) return;
  auto handle = TdxGPImageHandle::CreateFromBits(data.FSize.cx, data.FSize.cy, data.FBits, data.FBitsFormat);
  handle->Draw(this, R, GpImageAlphaAttributes(AAlpha), handle->GetClientRect());
}

void TdxGPCanvas::DrawTile(TdxGPImage* AGraphic, const TRect& R, uint8_t AAlpha) {
  DrawTile(AGraphic, R, AAlpha, AGraphic->GetClientRect());
}

void TdxGPCanvas::DrawTile(TdxGPImage* AGraphic, const TRect& ADestRect, uint8_t AAlpha,
                           const TRect& ASourceRect) {
  dxGpTilePartEx(FHandle, ADestRect, ASourceRect, AGraphic->Handle(), AAlpha);
}

// ---- Registration -------------------------------------------------------------------------

namespace {

struct GpImagePictureFormat {
  const Char* Extension;
  TdxSmartImageCodecClass (*Codec)();
  TGraphicClass (*GraphicClass)();
  TdxImageDataFormat Format;
  const Char* ClipboardName;
  const TdxGpClassID* Decoder;
};

const GpImagePictureFormat* GpImagePictureFormats(size_t& ACount) {
  static const GpImagePictureFormat formats[] = {
      {u"PNG", &TdxGPImageCodecPNG::Class, &TdxPNGImage::StaticClass, dxImagePng, u"PNG", &PNGDecoder},
      {u"TIFF", &TdxGPImageCodecTIFF::Class, &TdxSmartImage::StaticClass, dxImageTiff, u"TIFF", &TIFFDecoder},
      {u"TIF", &TdxGPImageCodecTIFF::Class, &TdxSmartImage::StaticClass, dxImageTiff, u"TIFF", &TIFFDecoder},
      {u"GIF", &TdxGPImageCodecGIF::Class, &TdxSmartImage::StaticClass, dxImageGif, u"GIF", &GIFDecoder},
      {u"JPEG", &TdxGPImageCodecJPEG::Class, &TdxSmartImage::StaticClass, dxImageJpeg, u"JPEG", &JPEGDecoder},
      {u"JPG", &TdxGPImageCodecJPEG::Class, &TdxSmartImage::StaticClass, dxImageJpeg, u"JPEG", &JPEGDecoder},
  };
  ACount = std::size(formats);
  return formats;
}

std::vector<TdxSmartImageCodecClass> GpImageCodecs() {
  return {TdxGPImageCodecBMP::Class(), TdxGPImageCodecMemoryBitmap::Class(), TdxGPImageCodecGIF::Class(),
          TdxGPImageCodecJPG::Class(), TdxGPImageCodecJPEG::Class(),         TdxGPImageCodecPNG::Class(),
          TdxGPImageCodecTIF::Class(), TdxGPImageCodecTIFF::Class(),         TdxGPImageCodecEMF::Class(),
          TdxGPImageCodecWMF::Class()};
}

// The picture formats that ours replaced, given back at shut-down.
struct GpImageReplacedFormat {
  String Extension;
  String Description;
  TGraphicClass GraphicClass;
};

std::vector<GpImageReplacedFormat>& GpImageReplacedFormats() {
  static std::vector<GpImageReplacedFormat> formats;
  return formats;
}

bool FGpImageRegistered = false;

// The description GraphicFilter gives the extension of a class ("" when none).
String GpImageFormatDescription(TGraphicClass AClass, const String& AExtension) {
  const String filter = GraphicFilter(AClass);
  const String tail = u" (*." + LowerCase(AExtension) + u")|";
  const size_t end = filter.find(tail);
  if (end == String::npos) return String();
  const size_t start = filter.rfind(u'|', end);
  return start == String::npos ? String() : filter.substr(start + 1, end - start - 1);
}

}  // namespace

namespace dxGDIPlusImage {

bool IsRegistered() {
  return FGpImageRegistered;
}

void Initialize() {
  if (FGpImageRegistered || !CheckGdiPlus(false)) return;
  CheckImageCodecs();
  RegisterClass(TdxPNGImage::StaticClass());
  RegisterClass(TdxSmartImage::StaticClass());
  ImageClipboardFormats(dxImageBitmap) = CF_BITMAP;
  size_t count = 0;
  const GpImagePictureFormat* formats = GpImagePictureFormats(count);
  for (size_t i = 0; i < count; ++i) {
    const GpImagePictureFormat& f = formats[i];
    if (!IsCodecIDValid(*f.Decoder)) continue;
    if (TGraphicClass previous = TPicture::FindGraphicClassByExtension(f.Extension))
      if (!previous->InheritsFrom(TdxGPImage::StaticClass()))
        GpImageReplacedFormats().push_back(
            {f.Extension, GpImageFormatDescription(previous, f.Extension), previous});
    TPicture::RegisterFileFormat(f.Extension, f.Codec()->Description(), f.GraphicClass());
    ImageClipboardFormats(f.Format) = RegisterClipboardFormatW(f.ClipboardName);
  }
  for (TdxSmartImageCodecClass codec : GpImageCodecs()) TdxSmartImageCodecsRepository::Register(codec);
  FGpImageRegistered = true;
}

void Finalize() {
  TdxGPImageHandle::ReleaseAllImages();
  if (!FGpImageRegistered) return;
  FGpImageRegistered = false;
  for (TdxSmartImageCodecClass codec : GpImageCodecs()) TdxSmartImageCodecsRepository::Unregister(codec);
  TPicture::UnregisterGraphicClass(TdxGPImage::StaticClass());
  TPicture::UnregisterGraphicClass(TdxSmartImage::StaticClass());
  TPicture::UnregisterGraphicClass(TdxPNGImage::StaticClass());
  for (const GpImageReplacedFormat& f : GpImageReplacedFormats())
    TPicture::RegisterFileFormat(f.Extension, f.Description, f.GraphicClass);
  GpImageReplacedFormats().clear();
  for (UINT& format : std::span(&ImageClipboardFormats(dxImageUnknown), dxImageDataFormatCount)) format = 0;
  UnRegisterClass(TdxPNGImage::StaticClass());
  UnRegisterClass(TdxSmartImage::StaticClass());
}

}  // namespace dxGDIPlusImage

}  // namespace qd
