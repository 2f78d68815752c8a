// The GDI+ image handle and the GDI+ image codecs with their header probes.
#include <algorithm>
#include <cstring>

#include "platform/base/scopeexit.h"
#include "ui/graphics/dxGDIPlusImage.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxGPImageHandle)

namespace {

constexpr gdiplus::PixelFormat GpImagePixelFormatMap[3] = {0x00022009, 0x0026200A, 0x000E200B};
constexpr gdiplus::PROPID GpImagePropertyFrameDelay = 0x5100;
constexpr gdiplus::PROPID GpImagePropertyLoopCount = 0x5101;
constexpr int32_t GpImageDefaultFrameDelay = 75;

// Header reads that fail on a short read instead of leaving values undefined.
bool ProbeRead(TStream* AStream, void* ABuffer, int64_t ACount) {
  return AStream->Read(ABuffer, ACount) == ACount;
}

bool ProbeSkip(TStream* AStream, int64_t ACount) {
  const int64_t target = AStream->Position() + ACount;
  if (ACount < 0 || target > AStream->Size()) return false;
  AStream->SetPosition(target);
  return true;
}

bool ProbeReadLE16(TStream* AStream, uint16_t& AValue) {
  uint8_t b[2];
  if (!ProbeRead(AStream, b, 2)) return false;
  AValue = uint16_t(b[0] | b[1] << 8);
  return true;
}

bool ProbeReadBE16(TStream* AStream, uint16_t& AValue) {
  uint8_t b[2];
  if (!ProbeRead(AStream, b, 2)) return false;
  AValue = uint16_t(b[0] << 8 | b[1]);
  return true;
}

bool ProbeReadLE32(TStream* AStream, uint32_t& AValue) {
  uint8_t b[4];
  if (!ProbeRead(AStream, b, 4)) return false;
  AValue = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
  return true;
}

bool ProbeReadBE32(TStream* AStream, uint32_t& AValue) {
  uint8_t b[4];
  if (!ProbeRead(AStream, b, 4)) return false;
  AValue = uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | uint32_t(b[3]);
  return true;
}

int32_t ClampToInt32(int64_t AValue) {
  return static_cast<int32_t>(std::clamp<int64_t>(AValue, INT32_MIN, INT32_MAX));
}

}  // namespace

// ---- Formats --------------------------------------------------------------------------------

TdxImageDataFormat dxGetImageDataFormat(GpImage* AImage) {
  if (!AImage) return dxImageUnknown;
  gdiplus::GUID format{};
  if (GdipGetImageRawFormat(AImage, &format) != gdiplus::Ok) return dxImageUnknown;
  if (format == ImageFormatBMP) return dxImageBitmap;
  if (format == ImageFormatMemoryBMP) return dxImageMemoryBmp;
  if (format == ImageFormatJPEG) return dxImageJpeg;
  if (format == ImageFormatPNG) return dxImagePng;
  if (format == ImageFormatTIFF) return dxImageTiff;
  if (format == ImageFormatGIF) return dxImageGif;
  if (format == ImageFormatIcon) return dxImageIcon;
  if (format == ImageFormatEMF) return dxImageEmf;
  if (format == ImageFormatWMF) return dxImageWmf;
  return dxImageUnknown;
}

TdxGpClassID dxGetImageEncoder(TdxImageDataFormat AFormat) {
  switch (AFormat) {
    case dxImageBitmap:
    case dxImageMemoryBmp:
      return BMPEncoder;
    case dxImageJpeg:
      return JPEGEncoder;
    case dxImagePng:
      return PNGEncoder;
    case dxImageTiff:
      return TIFFEncoder;
    case dxImageGif:
      return GIFEncoder;
    case dxImageEmf:
    case dxImageIcon:
    case dxImageWmf:
      return TdxGpClassID{};
    default:
      throw EdxException(u"dxGetImageEncoder fails");
  }
}

HRESULT TdxGPStreamAdapter::Stat(STATSTG* AStatStg, DWORD AFlags) {
  if (!AStatStg) return S_OK;
  *AStatStg = STATSTG{};
  try {
    return TStreamAdapter::Stat(AStatStg, AFlags);
  } catch (...) {
    return gdiplus::E_UNEXPECTED;
  }
}

// ---- The handle -----------------------------------------------------------------------------

namespace {

std::vector<TdxGPImageHandle*>& GpImageLiveHandles() {
  static std::vector<TdxGPImageHandle*> handles;
  return handles;
}

}  // namespace

TdxGPImageHandle::TdxGPImageHandle() {
  GpImageLiveHandles().push_back(this);
}

TdxGPImageHandle::TdxGPImageHandle(GpImage* AHandle) : TdxGPImageHandle() {
  SetHandle(AHandle);
}

TdxGPImageHandle::~TdxGPImageHandle() {
  auto& handles = GpImageLiveHandles();
  handles.erase(std::find(handles.begin(), handles.end(), this));
  if (FHandle && GdipDisposeImage) GdipDisposeImage(FHandle);
}

void TdxGPImageHandle::ReleaseAllImages() {
  for (TdxGPImageHandle* handle : GpImageLiveHandles()) {
    if (handle->FHandle && GdipDisposeImage) GdipDisposeImage(handle->FHandle);
    handle->FHandle = nullptr;
  }
}

std::unique_ptr<TdxGPImageHandle> TdxGPImageHandle::CreateFromBits(int32_t AWidth, int32_t AHeight,
                                                                   const TRGBColors& ABits,
                                                                   TAlphaFormat AAlphaFormat) {
  // GDI+ draws from this memory for the bitmap's whole life: the handle owns a copy, so no
  // other image shares (and changes) these pixels.
  return CreateFromBits(AWidth, AHeight, TRGBColors(ABits), AAlphaFormat);
}

std::unique_ptr<TdxGPImageHandle> TdxGPImageHandle::CreateFromBits(int32_t AWidth, int32_t AHeight,
                                                                   TRGBColors&& ABits,
                                                                   TAlphaFormat AAlphaFormat) {
  if (AWidth <= 0 || AHeight <= 0 || ABits.size() < size_t(AWidth) * size_t(AHeight))
    GdipCheck(gdiplus::InvalidParameter);
  auto result = std::make_unique<TdxGPImageHandle>();
  result->FBits = std::move(ABits);
  result->FBitsFormat = AAlphaFormat;
  GpBitmap* bitmap = nullptr;
  GdipCheck(GdipCreateBitmapFromScan0(AWidth, AHeight, AWidth * 4, GpImagePixelFormatMap[AAlphaFormat],
                                      reinterpret_cast<BYTE*>(result->FBits.data()), &bitmap));
  result->SetHandle(bitmap);
  return result;
}

std::unique_ptr<TdxGPImageHandle> TdxGPImageHandle::CreateSize(int32_t AWidth, int32_t AHeight) {
  return std::make_unique<TdxGPImageHandle>(dxGpCreateBitmap(AWidth, AHeight));
}

std::unique_ptr<TdxGPImageHandle> TdxGPImageHandle::Clone() {
  // A bitmap over our own pixels is cloned over a copy of them.
  if (!FBits.empty() && FHandle) return CreateFromBits(GetWidth(), GetHeight(), FBits, FBitsFormat);
  GpImage* clone = nullptr;
  if (FHandle) GdipCheck(GdipCloneImage(FHandle, &clone));
  return std::make_unique<TdxGPImageHandle>(clone);
}

std::unique_ptr<TdxGPCanvas> TdxGPImageHandle::CreateCanvas() {
  GpGraphics* graphics = nullptr;
  GdipCheck(GdipGetImageGraphicsContext(FHandle, &graphics));
  return std::make_unique<TdxGPCanvas>(graphics);
}

void TdxGPImageHandle::SetHandle(GpImage* AValue) {
  if (AValue == FHandle) return;
  if (FHandle && GdipDisposeImage) GdipDisposeImage(FHandle);
  FHandle = AValue;
  FImageFormat = dxGetImageDataFormat(AValue);
}

void TdxGPImageHandle::GetSize(TSize& ASize) {
  ASize = TSize{};
  if (!FHandle) return;
  UINT w = 0, h = 0;
  GdipCheck(GdipGetImageWidth(FHandle, &w));
  GdipCheck(GdipGetImageHeight(FHandle, &h));
  ASize = TSize{static_cast<int32_t>(w), static_cast<int32_t>(h)};
}

std::unique_ptr<TBitmap> TdxGPImageHandle::GetAsBitmap() {
  if (IsMetafile() || !FHandle) return TdxSmartImageCustomHandle::GetAsBitmap();
  HBITMAP hbm = nullptr;
  GdipCheck(GdipCreateHBITMAPFromBitmap(static_cast<GpBitmap*>(FHandle), &hbm, 0));
  auto result = std::make_unique<TBitmap>();
  result->SetHandle(hbm);
  result->SetPixelFormat(pf32bit);
  return result;
}

void TdxGPImageHandle::Draw(HDC DC, const TdxRectF& ADest, const TdxRectF& ASource, uint8_t AAlpha,
                            IdxColorPalette*) {
  if (!FHandle) return;
  TdxGPPaintCanvas* canvas = dxGPPaintCanvas();
  canvas->BeginPaint(DC, cxRect(ADest, false));
  ScopeExit end{[&] { canvas->EndPaint(); }};
  Draw(canvas, ADest, AAlpha == 255 ? nullptr : dxGpGetAlphaBlendAttributes(AAlpha), ASource);
}

void TdxGPImageHandle::Draw(HDC DC, const TRect& ADest, const TRect& ASource, uint8_t AAlpha,
                            IdxColorPalette*) {
  if (!FHandle) return;
  TdxGPPaintCanvas* canvas = dxGPPaintCanvas();
  canvas->BeginPaint(DC, ADest);
  ScopeExit end{[&] { canvas->EndPaint(); }};
  Draw(canvas, ADest, AAlpha == 255 ? nullptr : dxGpGetAlphaBlendAttributes(AAlpha), ASource);
}

void TdxGPImageHandle::Draw(TdxGPCanvas* ACanvas, const TdxRectF& ADest, TdxGPImageAttributes* AAttributes,
                            const TdxRectF& ASource) {
  dxGpDrawImage(ACanvas->Handle(), ADest, ASource, FHandle, 255, dxGpGetImageAttributesHandle(AAttributes));
}

void TdxGPImageHandle::Draw(TdxGPCanvas* ACanvas, const TRect& ADest, TdxGPImageAttributes* AAttributes,
                            const TRect& ASource) {
  dxGpDrawImage(ACanvas->Handle(), ADest, ASource, FHandle, 255, dxGpGetImageAttributesHandle(AAttributes));
}

template <class F>
void TdxGPImageHandle::ReplaceByDrawing(const TSize& ASize, F ADraw) {
  GpBitmap* bitmap = dxGpCreateBitmap(ASize);
  try {
    if (FHandle) {
      GpGraphics* graphics = nullptr;
      GdipCheck(GdipGetImageGraphicsContext(bitmap, &graphics));
      ScopeExit done{[&] { GdipDeleteGraphics(graphics); }};
      ADraw(graphics);
    }
  } catch (...) {
    GdipDisposeImage(bitmap);
    throw;
  }
  SetHandle(bitmap);
  FBits.clear();
  FActiveFrame = 0;
}

void TdxGPImageHandle::Resize(const TSize& ASize, int32_t AInterpolationMode, int32_t APixelOffsetMode) {
  ReplaceByDrawing(ASize, [&](GpGraphics* AGraphics) {
    if (APixelOffsetMode != 0)
      GdipCheck(GdipSetPixelOffsetMode(AGraphics, static_cast<gdiplus::PixelOffsetMode>(APixelOffsetMode)));
    if (AInterpolationMode != 0)
      GdipCheck(
          GdipSetInterpolationMode(AGraphics, static_cast<gdiplus::InterpolationMode>(AInterpolationMode)));
    GdipCheck(GdipDrawImageRectI(AGraphics, FHandle, 0, 0, ASize.cx, ASize.cy));
  });
}

void TdxGPImageHandle::Flip(bool AHorizontally, bool AVertically) {
  if (!(AHorizontally || AVertically) || Empty()) return;
  TSize size;
  GetSize(size);
  ReplaceByDrawing(size, [&](GpGraphics* AGraphics) {
    TdxGPPaintCanvas* canvas = dxGPPaintCanvas();
    canvas->BeginPaint(AGraphics);
    ScopeExit end{[&] { canvas->EndPaint(); }};
    // Mirrors about the pixel edges, so every pixel lands on its mirror image.
    canvas->SetPixelOffsetMode(gdiplus::PixelOffsetModeHalf);
    canvas->FlipWorldTransform(AHorizontally, AVertically, size.cx / 2.0f, size.cy / 2.0f);
    GdipCheck(GdipDrawImageRectI(AGraphics, FHandle, 0, 0, size.cx, size.cy));
  });
}

int32_t TdxGPImageHandle::GetAnimationFrameCount() {
  if (!FHandle || Empty()) return 0;
  UINT count = 0;
  if (GdipImageGetFrameDimensionsCount(FHandle, &count) != gdiplus::Ok || count != 1) return 0;
  if (GdipImageGetFrameDimensionsList(FHandle, &FDimensionID, 1) != gdiplus::Ok) return 0;
  UINT frames = 0;
  if (GdipImageGetFrameCount(FHandle, &FDimensionID, &frames) != gdiplus::Ok) return 0;
  return static_cast<int32_t>(std::min<UINT>(frames, INT32_MAX));
}

void TdxGPImageHandle::SetActiveFrame(int32_t AIndex) {
  if (!FHandle) return;
  FActiveFrame = static_cast<uint32_t>(std::max(AIndex, 0));
  if (GdipImageSelectActiveFrame(FHandle, &FDimensionID, FActiveFrame) != gdiplus::Ok && AIndex != 0)
    SetActiveFrame(0);
}

int32_t TdxGPImageHandle::GetAnimationFrameDelay() {
  std::vector<uint8_t> data;
  // The value holds one 32-bit delay per frame; a short list gives the default.
  if (!GetPropertyValue(GpImagePropertyFrameDelay, data) || (uint64_t(FActiveFrame) + 1) * 4 > data.size())
    return GpImageDefaultFrameDelay;
  const uint8_t* p = data.data() + size_t(FActiveFrame) * 4;
  const uint32_t delay = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
  return ClampToInt32(int64_t(delay) * 10);
}

int32_t TdxGPImageHandle::GetAnimationLoopCount() {
  std::vector<uint8_t> data;
  if (!GetPropertyValue(GpImagePropertyLoopCount, data) || data.size() < 2) return 0;
  return data[0] | data[1] << 8;
}

bool TdxGPImageHandle::GetPropertyValue(gdiplus::PROPID APropID, std::vector<uint8_t>& AData) {
  AData.clear();
  if (!FHandle) return false;
  UINT size = 0;
  constexpr UINT header = sizeof(gdiplus::PropertyItem);
  if (GdipGetPropertyItemSize(FHandle, APropID, &size) != gdiplus::Ok || size <= header) return false;
  std::vector<uint8_t> buffer(size);
  if (GdipGetPropertyItem(FHandle, APropID, size, reinterpret_cast<gdiplus::PropertyItem*>(buffer.data())) !=
      gdiplus::Ok)
    return false;
  AData.assign(buffer.begin() + header, buffer.end());
  return !AData.empty();
}

// ---- Codecs ---------------------------------------------------------------------------------

bool TdxGPImageCodec::CheckHeader(TStream* AStream, std::initializer_list<uint8_t> ASignature) {
  const int64_t position = AStream->Position();
  std::vector<uint8_t> bytes(ASignature.size());
  const bool ok = ProbeRead(AStream, bytes.data(), static_cast<int64_t>(bytes.size())) &&
                  std::equal(bytes.begin(), bytes.end(), ASignature.begin());
  AStream->SetPosition(position);
  return ok;
}

bool TdxGPImageCodec::Load(TStream* AStream, std::unique_ptr<TdxSmartImageCustomHandle>& AHandle) const {
  TdxGPStreamAdapter adapter(AStream);
  GpImage* image = nullptr;
  if (GdipLoadImageFromStream(&adapter, &image) != gdiplus::Ok || !image) return false;
  AHandle = std::make_unique<TdxGPImageHandle>(image);
  return true;
}

bool TdxGPImageCodec::Save(TStream* AStream, TdxSmartImageCustomHandle* AHandle) const {
  if (!IsCodecIDValid(GetCodecID())) return false;
  if (auto* handle = dynamic_cast<TdxGPImageHandle*>(AHandle)) return SaveCore(AStream, handle, nullptr);
  TSize size;
  AHandle->GetSize(size);
  auto temporary =
      TdxGPImageHandle::CreateFromBits(size.cx, size.cy, AHandle->GetAsBitmapBits(), afPremultiplied);
  // A failed encoding is reported: the caller must not take an empty stream for the image.
  return SaveCore(AStream, temporary.get(), nullptr);
}

bool TdxGPImageCodec::SaveCore(TStream* AStream, TdxGPImageHandle* AHandle,
                               const gdiplus::EncoderParameters* AParameters) const {
  const TdxGpClassID id = GetCodecID();
  TdxGPStreamAdapter adapter(AStream);
  return GdipSaveImageToStream(AHandle->Handle(), &adapter, &id, AParameters) == gdiplus::Ok;
}

// BMP: the core header has 16-bit sizes, the others signed 32-bit ones (a negative height
// is a top-down bitmap).
bool TdxGPImageCodecBMP::CanLoadStream(TStream* AStream) const {
  return CheckHeader(AStream, {'B', 'M'});
}

bool TdxGPImageCodecBMP::GetSize(TStream* AStream, TSize& ASize) const {
  if (!CanLoadStream(AStream) || !ProbeSkip(AStream, 14)) return false;
  uint32_t headerSize = 0;
  if (!ProbeReadLE32(AStream, headerSize)) return false;
  if (headerSize == 12) {
    uint16_t w = 0, h = 0;
    if (!ProbeReadLE16(AStream, w) || !ProbeReadLE16(AStream, h)) return false;
    ASize = TSize{w, h};
  } else {
    uint32_t w = 0, h = 0;
    if (!ProbeReadLE32(AStream, w) || !ProbeReadLE32(AStream, h)) return false;
    ASize = TSize{static_cast<int32_t>(w), static_cast<int32_t>(h)};
  }
  return true;
}

bool TdxGPImageCodecBMP::Load(const TRGBColors& ABits, TAlphaFormat AAlphaFormat, int32_t AWidth,
                              int32_t AHeight, std::unique_ptr<TdxSmartImageCustomHandle>& AHandle) const {
  if (AWidth <= 0 || AHeight <= 0 || ABits.size() < size_t(AWidth) * size_t(AHeight)) return false;
  AHandle = TdxGPImageHandle::CreateFromBits(AWidth, AHeight, ABits, AAlphaFormat);
  return true;
}

bool TdxGPImageCodecGIF::CanLoadStream(TStream* AStream) const {
  return CheckHeader(AStream, {'G', 'I', 'F', '8', '9', 'a'}) ||
         CheckHeader(AStream, {'G', 'I', 'F', '8', '7', 'a'});
}

bool TdxGPImageCodecGIF::GetSize(TStream* AStream, TSize& ASize) const {
  uint16_t w = 0, h = 0;
  if (!CanLoadStream(AStream) || !ProbeSkip(AStream, 6) || !ProbeReadLE16(AStream, w) ||
      !ProbeReadLE16(AStream, h))
    return false;
  ASize = TSize{w, h};
  return true;
}

int32_t& TdxGPImageCodecJPEG::FQuality() {
  static int32_t quality = -1;
  return quality;
}

bool TdxGPImageCodecJPEG::CanLoadStream(TStream* AStream) const {
  return CheckHeader(AStream, {0xFF, 0xD8, 0xFF});
}

// Walks the segments up to the first baseline or lossless frame header; other frame types
// are walked past, so a progressive JPEG answers False.
bool TdxGPImageCodecJPEG::GetSize(TStream* AStream, TSize& ASize) const {
  if (!CanLoadStream(AStream) || !ProbeSkip(AStream, 2)) return false;
  for (;;) {
    uint16_t marker = 0;
    if (!ProbeReadBE16(AStream, marker) || (marker >> 8) != 0xFF || marker == 0xFFD9) return false;
    const uint8_t kind = marker & 0xFF;
    if (kind == 0xC0 || kind == 0xC3) {
      uint16_t w = 0, h = 0;
      if (!ProbeSkip(AStream, 3) || !ProbeReadBE16(AStream, h) || !ProbeReadBE16(AStream, w)) return false;
      ASize = TSize{w, h};
      return true;
    }
    if (kind >= 0xD0 && kind <= 0xD8) continue;
    if (kind == 0xDD) {
      if (!ProbeSkip(AStream, 4)) return false;
      continue;
    }
    uint16_t length = 0;
    // A length below 2 would step backwards, round and round the same bytes.
    if (!ProbeReadBE16(AStream, length) || length < 2 || !ProbeSkip(AStream, length - 2)) return false;
  }
}

bool TdxGPImageCodecJPEG::SaveCore(TStream* AStream, TdxGPImageHandle* AHandle,
                                   const gdiplus::EncoderParameters* AParameters) const {
  if (FQuality() == -1 || AParameters) return TdxGPImageCodec::SaveCore(AStream, AHandle, AParameters);
  int32_t quality = FQuality();
  gdiplus::EncoderParameters parameters;
  parameters.Count = 1;
  parameters.Parameter[0].Guid = EncoderQuality;
  parameters.Parameter[0].NumberOfValues = 1;
  parameters.Parameter[0].Type = EncoderParameterValueTypeLong;
  parameters.Parameter[0].Value = &quality;
  return TdxGPImageCodec::SaveCore(AStream, AHandle, &parameters);
}

bool TdxGPImageCodecPNG::CanLoadStream(TStream* AStream) const {
  return CheckHeader(AStream, {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A});
}

bool TdxGPImageCodecPNG::GetSize(TStream* AStream, TSize& ASize) const {
  if (!CanLoadStream(AStream) || !ProbeSkip(AStream, 12)) return false;
  char chunk[4] = {};
  if (!ProbeRead(AStream, chunk, 4)) return false;
  // The size follows the chunk type (offsets 16 and 20); without one, offsets 8 and 12.
  if (std::memcmp(chunk, "IHDR", 4) != 0) AStream->Seek(-8, soCurrent);
  uint32_t w = 0, h = 0;
  if (!ProbeReadBE32(AStream, w) || !ProbeReadBE32(AStream, h)) return false;
  ASize = TSize{static_cast<int32_t>(w), static_cast<int32_t>(h)};
  return true;
}

bool TdxGPImageCodecTIFF::CanLoadStream(TStream* AStream) const {
  return CheckHeader(AStream, {0x49, 0x49, 0x2A, 0x00}) || CheckHeader(AStream, {0x4D, 0x4D, 0x00, 0x2A});
}

bool TdxGPImageCodecTIFF::GetSize(TStream* AStream, TSize& ASize) const {
  if (!CanLoadStream(AStream)) return false;
  const int64_t start = AStream->Position();
  const bool bigEndian = CheckHeader(AStream, {0x4D, 0x4D, 0x00, 0x2A});
  const auto read16 = [&](uint16_t& v) {
    return bigEndian ? ProbeReadBE16(AStream, v) : ProbeReadLE16(AStream, v);
  };
  const auto read32 = [&](uint32_t& v) {
    return bigEndian ? ProbeReadBE32(AStream, v) : ProbeReadLE32(AStream, v);
  };
  ASize = TSize{};
  uint32_t offset = 0;
  if (!ProbeSkip(AStream, 4) || !read32(offset)) return false;
  // The directory must lie inside the data.
  if (int64_t(offset) + 2 > AStream->Size() - start) return false;
  AStream->SetPosition(start + offset);
  uint16_t count = 0;
  if (!read16(count)) return false;
  static constexpr int32_t typeSizes[13] = {1, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
  for (uint16_t i = 0; i < count; ++i) {
    uint16_t tag = 0, type = 0;
    uint32_t valueCount = 0;
    uint8_t field[4] = {};
    if (!read16(tag) || !read16(type) || !read32(valueCount) || !ProbeRead(AStream, field, 4)) return false;
    const uint64_t size = uint64_t(type <= 12 ? typeSizes[type] : 1) * valueCount;
    int64_t value = -1;
    if (size == 2)
      value = bigEndian ? (field[0] << 8 | field[1]) : (field[0] | field[1] << 8);
    else if (size == 4)
      value = bigEndian ? int64_t(int32_t(uint32_t(field[0]) << 24 | uint32_t(field[1]) << 16 |
                                          uint32_t(field[2]) << 8 | field[3]))
                        : int64_t(int32_t(uint32_t(field[3]) << 24 | uint32_t(field[2]) << 16 |
                                          uint32_t(field[1]) << 8 | field[0]));
    if (value < 0) continue;
    if (tag == 256) ASize.cx = ClampToInt32(value);
    if (tag == 257) ASize.cy = ClampToInt32(value);
    if (ASize.cx > 0 && ASize.cy > 0) return true;
  }
  return false;
}

// EMF: ENHMETAHEADER (record type 1, " EMF" at offset 40); the frame in 0.01 mm gives the
// size at 96 DPI, the inclusive bounds in device pixels when the frame is empty.
bool TdxGPImageCodecEMF::CanLoadStream(TStream* AStream) const {
  const int64_t position = AStream->Position();
  uint8_t header[44] = {};
  const bool ok = ProbeRead(AStream, header, sizeof(header)) && header[0] == 1 && header[1] == 0 &&
                  header[2] == 0 && header[3] == 0 && std::memcmp(header + 40, " EMF", 4) == 0;
  AStream->SetPosition(position);
  return ok;
}

bool TdxGPImageCodecEMF::GetSize(TStream* AStream, TSize& ASize) const {
  if (!CanLoadStream(AStream) || !ProbeSkip(AStream, 8)) return false;
  uint32_t v[8] = {};
  for (uint32_t& x : v)
    if (!ProbeReadLE32(AStream, x)) return false;
  const auto s = [&](int i) { return int64_t(int32_t(v[i])); };
  const int64_t frameW = s(6) - s(4), frameH = s(7) - s(5);
  if (frameW > 0 && frameH > 0) {
    ASize = TSize{ClampToInt32((frameW * 96 + 1270) / 2540), ClampToInt32((frameH * 96 + 1270) / 2540)};
  } else {
    ASize = TSize{ClampToInt32(s(2) - s(0) + 1), ClampToInt32(s(3) - s(1) + 1)};
  }
  return true;
}

// WMF: the placeable header (key 9AC6CDD7, bounds in units of its inch) or a standard one
// (type 1 or 2, header size 9 words), which tells no size.
bool TdxGPImageCodecWMF::CanLoadStream(TStream* AStream) const {
  return CheckHeader(AStream, {0xD7, 0xCD, 0xC6, 0x9A}) || CheckHeader(AStream, {0x01, 0x00, 0x09, 0x00}) ||
         CheckHeader(AStream, {0x02, 0x00, 0x09, 0x00});
}

bool TdxGPImageCodecWMF::GetSize(TStream* AStream, TSize& ASize) const {
  if (!CheckHeader(AStream, {0xD7, 0xCD, 0xC6, 0x9A}) || !ProbeSkip(AStream, 6)) return false;
  uint16_t b[5] = {};
  for (uint16_t& x : b)
    if (!ProbeReadLE16(AStream, x)) return false;
  const int64_t w = int64_t(int16_t(b[2])) - int16_t(b[0]), h = int64_t(int16_t(b[3])) - int16_t(b[1]);
  const int64_t inch = b[4];
  if (inch == 0 || w <= 0 || h <= 0) return false;
  ASize = TSize{ClampToInt32((w * 96 + inch / 2) / inch), ClampToInt32((h * 96 + inch / 2) / inch)};
  return true;
}

}  // namespace qd
