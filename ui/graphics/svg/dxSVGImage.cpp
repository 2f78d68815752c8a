#include "ui/graphics/svg/dxSVGImage.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/base/scopeexit.h"

namespace qd {

TdxSVGRenderQuality dxSVGRenderQuality = srqMedium;

void TdxSVGGpImageDeleter::operator()(GpImage* AImage) const {
  if (AImage) GdipDisposeImage(AImage);
}

namespace {

int32_t SVGImageRound(double AValue) {
  if (!std::isfinite(AValue)) return 0;
  return static_cast<int32_t>(std::clamp(std::nearbyint(AValue), -2147483647.0, 2147483647.0));
}

// ASize scaled by a common factor so that neither side exceeds ALimit (each side at least 1).
TSize SVGImageLimit(const TSize& ASize, int32_t ALimit) {
  const int32_t m = std::max(ASize.cx, ASize.cy);
  if (m <= ALimit) return ASize;
  const double k = static_cast<double>(ALimit) / m;
  return TSize{std::max(1, SVGImageRound(ASize.cx * k)), std::max(1, SVGImageRound(ASize.cy * k))};
}

}  // namespace

// ---- TdxSVGImageHandle ---------------------------------------------------------------------

QD_IMPLEMENT_CLASS(TdxSVGImageHandle)

TdxSVGImageHandle::TdxSVGImageHandle(std::unique_ptr<TdxSVGElementRoot> ARoot)
    : FSourceData(std::make_unique<TMemoryStream>()), FRoot(std::move(ARoot)) {}

TdxSVGImageHandle::~TdxSVGImageHandle() {
  FlushCache();
}

void TdxSVGImageHandle::GetSize(TSize& ASize) {
  if (!FRoot) {
    ASize = TSize{0, 0};
    return;
  }
  const TdxSizeF size = FRoot->GetSize();
  ASize = TSize{SVGImageRound(size.cx), SVGImageRound(size.cy)};
}

std::unique_ptr<TBitmap> TdxSVGImageHandle::GetAsBitmap() {
  TSize size;
  GetSize(size);
  auto bitmap = std::make_unique<TcxBitmap32>(std::max(0, size.cx), std::max(0, size.cy), true);
  const TRect r{0, 0, std::max(0, size.cx), std::max(0, size.cy)};
  Draw(bitmap->Canvas()->Handle(), r, r, 255, nullptr);
  return bitmap;
}

void TdxSVGImageHandle::Draw(HDC DC, const TRect& ADest, const TRect& ASource, uint8_t AAlpha,
                             IdxColorPalette* APalette) {
  Draw(DC, TdxRectF(ADest), TdxRectF(ASource), AAlpha, APalette);
}

void TdxSVGImageHandle::Draw(HDC DC, const TdxRectF& ADest, const TdxRectF& ASource, uint8_t AAlpha,
                             IdxColorPalette* APalette) {
  if (Empty() || ADest.IsEmpty() || ASource.IsEmpty()) return;
  const TRect r{SVGImageRound(ADest.Left), SVGImageRound(ADest.Top), SVGImageRound(ADest.Right),
                SVGImageRound(ADest.Bottom)};
  TdxGPPaintCanvas* canvas = dxGPPaintCanvas();
  canvas->BeginPaint(DC, r);
  ScopeExit endPaint{[&] { canvas->EndPaint(); }};
  GpBitmap* raster = GetRasterizedImage(TSize{r.Right - r.Left, r.Bottom - r.Top}, APalette);
  TSize imageSize;
  GetSize(imageSize);
  if (!raster || imageSize.cx <= 0) return;
  canvas->SetInterpolationMode(GetInterpolationMode());
  canvas->SetPixelOffsetMode(gdiplus::PixelOffsetModeHalf);
  uint32_t rasterWidth = 0;
  GdipGetImageWidth(raster, &rasterWidth);
  const float k = static_cast<float>(rasterWidth) / imageSize.cx;
  const TdxRectF source(ASource.Left * k, ASource.Top * k, ASource.Right * k, ASource.Bottom * k);
  dxGpDrawImage(canvas->Handle(), ADest, source, raster, AAlpha);
}

void TdxSVGImageHandle::Flip(bool AHorizontally, bool AVertically) {
  FFlipHorizontally = AHorizontally;
  FFlipVertically = AVertically;
  FlushCache();
}

TdxSmartImageCodecClass TdxSVGImageHandle::GetImageFormat() {
  return TdxSVGImageCodec::Class();
}

void TdxSVGImageHandle::FlushCache() {
  FCachedImage.reset();
}

TdxGPInterpolationMode TdxSVGImageHandle::GetInterpolationMode() const {
  // The platform reports Windows 10, where bilinear is the automatic choice.
  return FInterpolationMode != imDefault ? FInterpolationMode : imBilinear;
}

TdxGPSmoothingMode TdxSVGImageHandle::GetSmoothingMode() const {
  return FSmoothingMode != smDefault ? FSmoothingMode : smNone;
}

TdxRectF TdxSVGImageHandle::GetViewBox() {
  if (!FRoot) return {};
  TdxRectF box = FRoot->FViewBox.FValue;
  if (box.Height() == 0) box.SetHeight(FRoot->FHeight.ToPixels(96));
  if (box.Width() == 0) box.SetWidth(FRoot->FWidth.ToPixels(96));
  return box;
}

int32_t TdxSVGImageHandle::CalculateScaleFactor(const TSize& S) const {
  const int32_t m = std::max({S.cx, S.cy, 1});
  int32_t c = std::min(RasterizedImageBufferSize[dxSVGRenderQuality] / m, MaxScaleFactor[dxSVGRenderQuality]);
  if (m <= 16) c = std::max(c, 32);
  for (int32_t f : StandardScaleFactors)
    if (f <= c) return f;
  return 1;
}

GpBitmap* TdxSVGImageHandle::GetRasterizedImage(const TSize& ASize, IdxColorPalette* APalette) {
  TdxRectF viewBox;
  try {
    viewBox = GetViewBox();
  } catch (const EArgumentException&) {
    // A percentage width or height with an empty view box has no size.
    return nullptr;
  }
  const TSize S{SVGImageRound(viewBox.Width()), SVGImageRound(viewBox.Height())};
  // An empty view box (also one that rounds to nothing) draws nothing.
  if (S.cx <= 0 || S.cy <= 0 || ASize.cx <= 0 || ASize.cy <= 0) return nullptr;
  const double scale = std::max(static_cast<double>(ASize.cx) / S.cx, static_cast<double>(ASize.cy) / S.cy);
  const TSize T =
      SVGImageLimit(TSize{std::max(1, SVGImageRound(S.cx * scale)), std::max(1, SVGImageRound(S.cy * scale))},
                    MaxRasterSide);
  const TGUID paletteID = dxGetColorPaletteID(APalette);
  if (FCachedImage && (FCachedImageQuality != dxSVGRenderQuality || !(FCachedImagePaletteID == paletteID) ||
                       FCachedImageSize.cx != T.cx || FCachedImageSize.cy != T.cy))
    FlushCache();
  if (!FCachedImage) {
    FCachedImageQuality = dxSVGRenderQuality;
    const int32_t f = CalculateScaleFactor(S);
    const TSize rasterSize =
        SVGImageLimit(TSize{static_cast<int32_t>(std::min<int64_t>(int64_t(S.cx) * f, INT32_MAX)),
                            static_cast<int32_t>(std::min<int64_t>(int64_t(S.cy) * f, INT32_MAX))},
                      MaxRasterSide);
    TdxSVGGpBitmapPtr raster(dxGpCreateBitmap(rasterSize));
    FCachedImagePaletteID = paletteID;
    DrawCore(raster.get(), APalette);
    ++FRenderCount;
    TdxSVGGpBitmapPtr result(dxGpCreateBitmap(T));
    {
      GpGraphics* graphics = nullptr;
      GdipCheck(GdipGetImageGraphicsContext(result.get(), &graphics));
      TdxGPCanvas canvas(graphics);
      canvas.SetInterpolationMode(GetInterpolationMode());
      canvas.SetPixelOffsetMode(gdiplus::PixelOffsetModeHalf);
      if (FFlipHorizontally || FFlipVertically)
        canvas.FlipWorldTransform(FFlipHorizontally, FFlipVertically, TdxPointF(T.cx / 2.f, T.cy / 2.f));
      dxGpDrawImage(graphics, TdxRectF(0, 0, T.cx, T.cy), TdxRectF(0, 0, rasterSize.cx, rasterSize.cy),
                    raster.get());
    }
    FCachedImage = std::move(result);
    FCachedImageSize = T;
  }
  return FCachedImage.get();
}

void TdxSVGImageHandle::DrawCore(TdxGPCanvas* ACanvas, const TRect& ARect, IdxColorPalette* APalette) {
  if (!FRoot) return;
  const TdxRectF viewBox = GetViewBox();
  if (viewBox.Width() == 0 || viewBox.Height() == 0) return;
  ACanvas->SetSmoothingMode(GetSmoothingMode());
  ACanvas->SaveWorldTransform();
  ScopeExit restore{[&] { ACanvas->RestoreWorldTransform(); }};
  ACanvas->TranslateWorldTransform(static_cast<float>(ARect.Left), static_cast<float>(ARect.Top));
  ACanvas->ScaleWorldTransform(static_cast<float>(ARect.Right - ARect.Left) / viewBox.Width(),
                               static_cast<float>(ARect.Bottom - ARect.Top) / viewBox.Height());
  ACanvas->TranslateWorldTransform(-viewBox.Left, -viewBox.Top);
  TdxSVGRenderer renderer(ACanvas, APalette);
  FRoot->Draw(&renderer);
}

void TdxSVGImageHandle::DrawCore(GpBitmap* AImage, IdxColorPalette* APalette) {
  GpGraphics* graphics = nullptr;
  GdipCheck(GdipGetImageGraphicsContext(AImage, &graphics));
  TdxGPCanvas canvas(graphics);
  uint32_t w = 0, h = 0;
  GdipGetImageWidth(AImage, &w);
  GdipGetImageHeight(AImage, &h);
  DrawCore(&canvas, TRect{0, 0, static_cast<int32_t>(w), static_cast<int32_t>(h)}, APalette);
}

// ---- TdxSVGAnnotation ----------------------------------------------------------------------

namespace {

// Stops after the first element's header.
class TdxSVGAnnotationParser : public TdxXMLParser {
 public:
  using TdxXMLParser::TdxXMLParser;

 protected:
  TdxXMLNode* ParseNodeHeader(TdxXMLNode* ANode) override {
    TdxXMLParser::ParseNodeHeader(ANode);
    return nullptr;
  }
};

}  // namespace

QD_IMPLEMENT_CLASS(TdxSVGAnnotation)

std::unique_ptr<TdxXMLParser> TdxSVGAnnotation::CreateParser() {
  return std::make_unique<TdxSVGAnnotationParser>(this);
}

// ---- TdxSVGImageCodec ----------------------------------------------------------------------

bool TdxSVGImageCodec::CanSaveImage(TdxSmartImageCustomHandle* AHandle) const {
  return dynamic_cast<TdxSVGImageHandle*>(AHandle) != nullptr;
}

bool TdxSVGImageCodec::CanLoadStream(TStream* AStream) const {
  TSize size;
  return GetSize(AStream, size);
}

bool TdxSVGImageCodec::GetSize(TStream* AStream, TSize& ASize) const {
  if (!AStream) return false;
  int64_t position = 0;
  try {
    position = AStream->Position();
  } catch (...) {
    return false;
  }
  bool result = false;
  try {
    TdxSVGAnnotation annotation;
    annotation.LoadFromStream(*AStream);
    result = TdxSVGImporter::GetSize(&annotation, ASize);
  } catch (...) {
    result = false;
  }
  try {
    AStream->SetPosition(position);
  } catch (...) {
  }
  return result;
}

bool TdxSVGImageCodec::Load(TStream* AStream, std::unique_ptr<TdxSmartImageCustomHandle>& AHandle) const {
  std::unique_ptr<TdxSVGImageHandle> handle;
  if (!Load(AStream, handle)) return false;
  AHandle = std::move(handle);
  return true;
}

bool TdxSVGImageCodec::Load(TStream* AStream, std::unique_ptr<TdxSVGImageHandle>& AHandle) const {
  if (!AStream) return false;
  TdxXMLDocument document;
  document.LoadFromStream(*AStream);
  return Load(&document, AHandle);
}

bool TdxSVGImageCodec::Load(TdxXMLDocument* ADocument, std::unique_ptr<TdxSVGImageHandle>& AHandle) const {
  std::unique_ptr<TdxSVGElementRoot> root;
  if (!TdxSVGImporter::Import(ADocument, root)) return false;
  auto handle = std::make_unique<TdxSVGImageHandle>(std::move(root));
  SaveSourceData(ADocument, handle.get());
  AHandle = std::move(handle);
  return true;
}

bool TdxSVGImageCodec::Load(const String& AFileName, std::unique_ptr<TdxSVGImageHandle>& AHandle) const {
  TFileStream stream(AFileName, fmOpenRead | fmShareDenyNone);
  return Load(&stream, AHandle);
}

void TdxSVGImageCodec::SaveSourceData(TdxXMLDocument* ADocument, TdxSVGImageHandle* AHandle) {
  TMemoryStream* source = AHandle->SourceData();
  source->Clear();
  ADocument->SetAutoIndent(true);
  TMemoryStream xml;
  ADocument->SaveToStream(xml);
  uLongf length = compressBound(static_cast<uLong>(xml.Size()));
  std::vector<Bytef> packed(length);
  if (compress2(packed.data(), &length, static_cast<const Bytef*>(xml.Memory()),
                static_cast<uLong>(xml.Size()), Z_BEST_COMPRESSION) != Z_OK)
    return;
  source->WriteBuffer(packed.data(), static_cast<int64_t>(length));
}

bool TdxSVGImageCodec::Save(TStream* AStream, TdxSmartImageCustomHandle* AHandle) const {
  auto* handle = dynamic_cast<TdxSVGImageHandle*>(AHandle);
  // An empty source writes nothing, and that is no success.
  if (!AStream || !handle || handle->SourceData()->Size() == 0) return false;
  TMemoryStream* source = handle->SourceData();
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return false;
  ScopeExit end{[&] { inflateEnd(&z); }};
  z.next_in = static_cast<Bytef*>(source->Memory());
  z.avail_in = static_cast<uInt>(source->Size());
  std::vector<Bytef> chunk(64 * 1024);
  int status = Z_OK;
  while (status != Z_STREAM_END) {
    z.next_out = chunk.data();
    z.avail_out = static_cast<uInt>(chunk.size());
    status = inflate(&z, Z_NO_FLUSH);
    if (status != Z_OK && status != Z_STREAM_END) return false;
    AStream->WriteBuffer(chunk.data(), static_cast<int64_t>(chunk.size() - z.avail_out));
  }
  return true;
}

// ---- TdxSVGImage ---------------------------------------------------------------------------

QD_IMPLEMENT_CLASS(TdxSVGImage)

void TdxSVGImage::SaveToStream(TStream* AStream) {
  SaveToStreamByCodec(AStream, TdxSVGImageCodec::Class());
}

// ---- Start-up ------------------------------------------------------------------------------

namespace dxSVGImage {

namespace {
bool FSVGImageRegistered = false;
}  // namespace

void Initialize() {
  if (FSVGImageRegistered || !CheckGdiPlus(false)) return;
  TdxSmartImageCodecsRepository::Register(TdxSVGImageCodec::Class());
  RegisterClass(TdxSVGImage::StaticClass());
  TPicture::RegisterFileFormat(u"svg", TdxSVGImageCodec::Class()->Description(),
                               TdxSmartImage::StaticClass());
  FSVGImageRegistered = true;
}

void Finalize() {
  if (!FSVGImageRegistered) return;
  FSVGImageRegistered = false;
  TPicture::UnregisterGraphicClass(TdxSVGImage::StaticClass());
  UnRegisterClass(TdxSVGImage::StaticClass());
  TdxSmartImageCodecsRepository::Unregister(TdxSVGImageCodec::Class());
}

}  // namespace dxSVGImage

}  // namespace qd
