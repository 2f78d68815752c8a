#include "ui/graphics/dxSmartImage.h"

#include <algorithm>

#include "platform/base/format.h"
#include "platform/base/mathutil.h"
#include "platform/base/resources.h"
#include "platform/base/scopeexit.h"
#include "platform/base/strings.h"
#include "platform/classes/sysutils_files.h"
#include "platform/forms/clipbrd.h"
#include "platform/os/user_clipboard.h"
#include "ui/core/cxClassesTimer.h"
#include "ui/core/dxHash.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxSmartImageDataStream)
QD_IMPLEMENT_CLASS(TdxSmartImageCustomHandle)
QD_IMPLEMENT_CLASS(TdxSmartImageEmptyHandle)
QD_IMPLEMENT_CLASS(TdxCustomSmartImage)

const TResStringRec sdxUnsupportedImageFormat{u"Unsupported image format."};
const TResStringRec sdxOperationNotSupported{u"Operation was not supported."};
const TResStringRec sdxImageCodecExportFailed{u"The %s codec failed to export the image (%d)"};

namespace {

using TdxCodecList = std::vector<TdxSmartImageCodecClass>;
std::unique_ptr<TdxCodecList> FSmartImageCodecs;

TdxSmartImageAnimationControllerClass FImageAnimationControllerClass = &dxCreateBaseAnimationController;

UINT FImageClipboardFormats[dxImageDataFormatCount] = {};

constexpr TAlphaFormat HasAlphaChannelFormatMap[2] = {afIgnored, afPremultiplied};

// A stream position restored when the guard leaves scope.
class SmartImageStreamPositionGuard {
 public:
  explicit SmartImageStreamPositionGuard(TStream* AStream)
      : FStream(AStream), FPosition(AStream->Position()) {}
  ~SmartImageStreamPositionGuard() { FStream->SetPosition(FPosition); }
  SmartImageStreamPositionGuard(const SmartImageStreamPositionGuard&) = delete;
  SmartImageStreamPositionGuard& operator=(const SmartImageStreamPositionGuard&) = delete;

 private:
  TStream* FStream;
  int64_t FPosition;
};

}  // namespace

bool dxIsSizeValid(const TSize& ASize) {
  return ASize.cx >= 1 && ASize.cy >= 1;
}

// ---- Data ---------------------------------------------------------------------------------

std::unique_ptr<TdxSmartImageDataStream> TdxSmartImageDataStream::Clone(TdxSmartImageDataStream* ASource) {
  if (!ASource) return nullptr;
  auto result = std::make_unique<TdxSmartImageDataStream>();
  const int64_t position = ASource->Position();
  result->SetSize(ASource->Size());
  if (ASource->Size() > 0)
    std::memcpy(result->Memory(), ASource->Memory(), static_cast<size_t>(ASource->Size()));
  result->SetPosition(0);
  ASource->SetPosition(position);
  return result;
}

TdxSmartImageData::TdxSmartImageData() = default;

void TdxSmartImageData::Clear() {
  FBits.clear();
  FBitsFormat = afIgnored;
  FData.reset();
  FNewSize = TSize{};
  FSize = TSize{};
}

void TdxSmartImageData::LoadFromBitmap(TBitmap* ABitmap) {
  FTransparent = FTransparent || ABitmap->Transparent();
  FTransparentColor = ABitmap->TransparentColor();
  FTransparentMode = ABitmap->TransparentMode();
  TRGBColors bits;
  if (!dxCoreGraphics::GetBitmapBits(ABitmap, bits, true)) return;
  FBits = std::move(bits);
  FBitsFormat = ABitmap->AlphaFormat();
  if (FBitsFormat == afIgnored && ABitmap->PixelFormat() == pf32bit && TdxSmartImageHelper::HasAlpha(FBits))
    FBitsFormat = TdxSmartImageHelper::AreColorsPremultiplied(FBits) ? afPremultiplied : afDefined;
  FSize = TSize{ABitmap->Width(), ABitmap->Height()};
  ApplyMask();
}

void TdxSmartImageData::LoadFromBits(int32_t AWidth, int32_t AHeight, const TRGBColors& ABits,
                                     TAlphaFormat AAlphaFormat) {
  FBits = ABits;
  FBitsFormat = AAlphaFormat;
  FSize = TSize{AWidth, AHeight};
  ApplyMask();
}

void TdxSmartImageData::ApplyMask() {
  // Empty pixels have no bottom-left pixel to take the key from.
  if (FBitsFormat != afIgnored || FBits.empty()) return;
  RGBQUAD key{};
  if (FTransparentMode == tmFixed) {
    const COLORREF c = ColorToRGB(FTransparentColor);
    key = RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0};
  } else {
    const size_t width = FSize.cx > 0 ? static_cast<size_t>(FSize.cx) : FBits.size();
    key = FBits[FBits.size() - std::min(width, FBits.size())];
  }
  const auto same = [&](const RGBQUAD& q) {
    return q.rgbBlue == key.rgbBlue && q.rgbGreen == key.rgbGreen && q.rgbRed == key.rgbRed &&
           q.rgbReserved == key.rgbReserved;
  };
  for (RGBQUAD& q : FBits) q.rgbReserved = FTransparent && same(q) ? 0 : 255;
  FBitsFormat = afPremultiplied;
}

// ---- Handles ------------------------------------------------------------------------------

bool TdxSmartImageCustomHandle::Empty() {
  TSize s;
  GetSize(s);
  return !dxIsSizeValid(s);
}

TdxAlphaState TdxSmartImageCustomHandle::GetAlphaState() {
  if (Empty()) return asNoAlpha;
  return dxGetAlphaState(GetAsBitmapBits());
}

std::unique_ptr<TBitmap> TdxSmartImageCustomHandle::GetAsBitmap() {
  TSize s;
  GetSize(s);
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf32bit);
  bitmap->SetSize(std::max(s.cx, 0), std::max(s.cy, 0));
  if (!bitmap->Empty()) {
    const TRect r = GetClientRect();
    Draw(bitmap->Canvas()->Handle(), r, r, 255, nullptr);
  }
  return bitmap;
}

TRGBColors TdxSmartImageCustomHandle::GetAsBitmapBits() {
  TRGBColors bits;
  auto bitmap = GetAsBitmap();
  dxCoreGraphics::GetBitmapBits(bitmap.get(), bits, true);
  return bits;
}

void TdxSmartImageCustomHandle::Draw(HDC DC, const TdxRectF& ADest, const TdxRectF& ASource, uint8_t AAlpha,
                                     IdxColorPalette* APalette) {
  Draw(DC, cxRect(ADest), cxRect(ASource), AAlpha, APalette);
}

bool TdxSmartImageCustomHandle::Equals(TdxSmartImageCustomHandle* AHandle) {
  if (!AHandle) return false;
  if (AHandle == this) return true;
  TSize a, b;
  GetSize(a);
  AHandle->GetSize(b);
  if (a != b) return false;
  if (Empty() || AHandle->Empty()) return true;
  const TRGBColors x = GetAsBitmapBits(), y = AHandle->GetAsBitmapBits();
  return x.size() == y.size() &&
         (x.empty() || std::memcmp(x.data(), y.data(), x.size() * sizeof(RGBQUAD)) == 0);
}

uint32_t TdxSmartImageCustomHandle::GetHashCode() {
  if (Empty()) return 0;
  const TRGBColors bits = GetAsBitmapBits();
  return dxCRC32(bits.data(), bits.size() * sizeof(RGBQUAD));
}

TRect TdxSmartImageCustomHandle::GetClientRect() {
  return TRect{0, 0, GetWidth(), GetHeight()};
}

int32_t TdxSmartImageCustomHandle::GetWidth() {
  TSize s;
  GetSize(s);
  return s.cx;
}

int32_t TdxSmartImageCustomHandle::GetHeight() {
  TSize s;
  GetSize(s);
  return s.cy;
}

// ---- Codecs and the repository --------------------------------------------------------------

String& dxSmartImageCodecDescriptionSuffix() {
  static String suffix = u" graphics from Calderwisp";
  return suffix;
}

String TdxSmartImageCodec::Description() const {
  const String ext = Ext();
  return UpperCase(ext.empty() ? ext : ext.substr(1)) + dxSmartImageCodecDescriptionSuffix();
}

void TdxSmartImageCodecsRepository::Register(TdxSmartImageCodecClass ACodec) {
  if (!FSmartImageCodecs) FSmartImageCodecs = std::make_unique<TdxCodecList>();
  FSmartImageCodecs->push_back(ACodec);
}

void TdxSmartImageCodecsRepository::Unregister(TdxSmartImageCodecClass ACodec) {
  if (!FSmartImageCodecs) return;
  auto it = std::find(FSmartImageCodecs->begin(), FSmartImageCodecs->end(), ACodec);
  if (it != FSmartImageCodecs->end()) FSmartImageCodecs->erase(it);
  if (FSmartImageCodecs->empty()) FSmartImageCodecs.reset();
}

bool TdxSmartImageCodecsRepository::Contains(TdxSmartImageCodecClass ACodec) {
  return FSmartImageCodecs &&
         std::find(FSmartImageCodecs->begin(), FSmartImageCodecs->end(), ACodec) != FSmartImageCodecs->end();
}

int32_t TdxSmartImageCodecsRepository::GetCount() {
  return FSmartImageCodecs ? static_cast<int32_t>(FSmartImageCodecs->size()) : 0;
}

TdxSmartImageCodecClass TdxSmartImageCodecsRepository::GetItem(int32_t AIndex) {
  if (AIndex < 0 || AIndex >= GetCount())
    throw EListError(Format(u"List index out of bounds (%d)", {AIndex}));
  return (*FSmartImageCodecs)[static_cast<size_t>(AIndex)];
}

TdxSmartImageCodecClass TdxSmartImageCodecsRepository::GetFormatByID(TdxImageDataFormat AID) {
  for (int32_t i = 0; i < GetCount(); ++i)
    if (GetItem(i)->ID() == AID) return GetItem(i);
  return nullptr;
}

TdxSmartImageCodecClass TdxSmartImageCodecsRepository::GetFormatByExt(const String& AExt) {
  if (AExt.empty()) return nullptr;
  for (int32_t i = 0; i < GetCount(); ++i)
    if (SameText(GetItem(i)->Ext(), AExt)) return GetItem(i);
  return nullptr;
}

TdxSmartImageCodecClass TdxSmartImageCodecsRepository::GetFormatFromStream(TStream* AStream) {
  for (int32_t i = 0; i < GetCount(); ++i)
    if (GetItem(i)->CanLoadStream(AStream)) return GetItem(i);
  return nullptr;
}

bool TdxSmartImageCodecsRepository::GetImageInfo(TStream* AStream, TSize& ASize,
                                                 TdxSmartImageCodecClass& ACodec) {
  ACodec = nullptr;
  const int64_t position = AStream->Position();
  for (int32_t i = 0; i < GetCount(); ++i) {
    TSize size;
    if (GetItem(i)->GetSize(AStream, size)) {
      ASize = size;
      ACodec = GetItem(i);
      return true;
    }
    AStream->SetPosition(position);
  }
  return false;
}

bool TdxSmartImageCodecsRepository::GetImageInfo(const String& AFileName, TSize& ASize,
                                                 TdxSmartImageCodecClass& ACodec) {
  TFileStream stream(AFileName, fmOpenRead | fmShareDenyNone);
  return GetImageInfo(&stream, ASize, ACodec);
}

bool TdxSmartImageCodecsRepository::GetImageInfo(TdxSmartImageData* AImageData, TSize& ASize,
                                                 TdxSmartImageCodecClass& ACodec) {
  ACodec = nullptr;
  if (!AImageData || AImageData->Empty()) return false;
  if (AImageData->FBits.empty()) {
    AImageData->FData->SetPosition(0);
    return GetImageInfo(AImageData->FData.get(), ASize, ACodec);
  }
  for (int32_t i = 0; i < GetCount(); ++i)
    if (GetItem(i)->CanLoadFromBits()) {
      ACodec = GetItem(i);
      ASize = AImageData->FSize;
      return true;
    }
  return false;
}

bool TdxSmartImageCodecsRepository::Load(const TRGBColors& ABits, TAlphaFormat AAlphaFormat, int32_t AWidth,
                                         int32_t AHeight,
                                         std::unique_ptr<TdxSmartImageCustomHandle>& AHandle) {
  for (int32_t i = 0; i < GetCount(); ++i)
    if (GetItem(i)->Load(ABits, AAlphaFormat, AWidth, AHeight, AHandle)) return true;
  return false;
}

bool TdxSmartImageCodecsRepository::Load(TStream* AStream,
                                         std::unique_ptr<TdxSmartImageCustomHandle>& AHandle) {
  const int64_t position = AStream->Position();
  for (int32_t i = 0; i < GetCount(); ++i) {
    if (GetItem(i)->Load(AStream, AHandle)) return true;
    AStream->SetPosition(position);
  }
  return false;
}

bool TdxSmartImageCodecsRepository::Load(TdxSmartImageData* AImageData,
                                         std::unique_ptr<TdxSmartImageCustomHandle>& AHandle) {
  if (!AImageData->FBits.empty())
    return Load(AImageData->FBits, AImageData->FBitsFormat, AImageData->FSize.cx, AImageData->FSize.cy,
                AHandle);
  if (!AImageData->FData) return false;
  AImageData->FData->SetPosition(0);
  return Load(AImageData->FData.get(), AHandle);
}

void TdxSmartImageHelper::AllocColors(int32_t AWidth, int32_t AHeight, TRGBColors& AColors,
                                      TdxAlphaColor AColor) {
  const RGBQUAD q{static_cast<uint8_t>(AColor), static_cast<uint8_t>(AColor >> 8),
                  static_cast<uint8_t>(AColor >> 16), static_cast<uint8_t>(AColor >> 24)};
  AColors.assign(static_cast<size_t>(std::max(AWidth, 0)) * static_cast<size_t>(std::max(AHeight, 0)), q);
}

bool TdxSmartImageHelper::AreColorsPremultiplied(const TRGBColors& ABits) {
  for (const RGBQUAD& q : ABits)
    if (q.rgbReserved < std::max({q.rgbRed, q.rgbGreen, q.rgbBlue})) return false;
  return true;
}

bool TdxSmartImageHelper::HasAlpha(const TRGBColors& ABits) {
  if (ABits.empty()) return false;
  bool allZero = true;
  for (const RGBQUAD& q : ABits) {
    if (q.rgbReserved != 0) return true;
    if (q.rgbRed || q.rgbGreen || q.rgbBlue) allZero = false;
  }
  return allZero;
}

// ---- Animation controllers ------------------------------------------------------------------

void TdxSmartImageAnimationController::TimerHandler(TObject*) {
  TdxCustomSmartImage* image = FImage;
  DeactivateTimer();
  const int32_t frame = image->ActiveFrame();
  try {
    image->SetActiveFrame(frame + 1);
  } catch (...) {
    if (image->ActiveFrame() == frame) image->StopAnimation();
    throw;
  }
  // StopAnimation frees this controller.
  if (image->ActiveFrame() == frame)
    image->StopAnimation();
  else
    ActivateTimer();
}

TdxSmartImageAnimationController* dxCreateBaseAnimationController(TdxCustomSmartImage* AImage) {
  return new TdxSmartImageAnimationController(AImage);
}

TdxSmartImageAnimationControllerClass ImageAnimationControllerClass() {
  return FImageAnimationControllerClass;
}

void SetImageAnimationControllerClass(TdxSmartImageAnimationControllerClass AClass) {
  FImageAnimationControllerClass = AClass ? AClass : &dxCreateBaseAnimationController;
}

TdxImageAnimationController::~TdxImageAnimationController() {
  DeactivateTimer();
}

void TdxImageAnimationController::ActivateTimer() {
  if (FTimer) return;
  FTimer = new TcxTimer(nullptr);
  FTimer->SetEnabled(false);
  const int32_t delay = FImage->AnimationFrameDelay();
  FTimer->SetInterval(static_cast<uint32_t>(std::max(delay, 1)));
  FTimer->SetOnTimer(TNotifyEvent(static_cast<TdxSmartImageAnimationController*>(this),
                                  &TdxSmartImageAnimationController::TimerHandler));
  FTimer->SetEnabled(true);
}

void TdxImageAnimationController::DeactivateTimer() {
  delete FTimer;
  FTimer = nullptr;
}

bool TdxImageAnimationController::IsTimerActive() {
  return FTimer && FTimer->Enabled();
}

TdxSmartImageAnimationController* TdxImageAnimationController::CreateController(TdxCustomSmartImage* AImage) {
  return new TdxImageAnimationController(AImage);
}

UINT& ImageClipboardFormats(TdxImageDataFormat AFormat) {
  return FImageClipboardFormats[static_cast<size_t>(AFormat) % dxImageDataFormatCount];
}

// ---- The image ----------------------------------------------------------------------------

TdxCustomSmartImage::TdxCustomSmartImage() : FImageData(std::make_unique<TdxSmartImageData>()) {}

TdxCustomSmartImage::~TdxCustomSmartImage() {
  FAnimationController.reset();
  FreeHandle();
}

void TdxCustomSmartImage::Check(bool ACondition, const String& AMessage) {
  if (!ACondition) throw EdxException(AMessage);
}

void TdxCustomSmartImage::CreateSize(int32_t AWidth, int32_t AHeight, TdxAlphaColor AColor) {
  TRGBColors colors;
  TdxSmartImageHelper::AllocColors(AWidth, AHeight, colors, AColor);
  LoadFromBits(AWidth, AHeight, colors, true);
}

void TdxCustomSmartImage::CreateSize(const TRect& ARect, TdxAlphaColor AColor) {
  CreateSize(ARect.Width(), ARect.Height(), AColor);
}

void TdxCustomSmartImage::CreateSize(const TSize& ASize, TdxAlphaColor AColor) {
  CreateSize(ASize.cx, ASize.cy, AColor);
}

std::unique_ptr<TdxCustomSmartImage> TdxCustomSmartImage::Clone() {
  std::unique_ptr<TdxCustomSmartImage> result(dynamic_cast<TdxCustomSmartImage*>(ClassType()->Create()));
  if (!result) throw EdxException(cxGetResourceString(sdxOperationNotSupported));
  result->AssignFromSmartImage(this);
  return result;
}

void TdxCustomSmartImage::Changed(TObject* Sender) {
  FCache.reset();
  FAlphaStateAssigned = false;
  inherited::Changed(Sender);
}

void TdxCustomSmartImage::Assign(TPersistent* ASource) {
  if (!ASource) {
    Clear();
  } else if (auto* image = dynamic_cast<TdxCustomSmartImage*>(ASource)) {
    if (image != this) AssignFromSmartImage(image);
  } else if (auto* graphic = dynamic_cast<TGraphic*>(ASource)) {
    AssignFromGraphic(graphic);
  } else if (dynamic_cast<TClipboard*>(ASource)) {
    PasteFromClipboard();
  } else {
    inherited::Assign(ASource);
  }
}

bool TdxCustomSmartImage::Empty() const {
  if (!FHandle) return FImageData->Empty();
  return FHandle->Empty();
}

int TdxCustomSmartImage::Width() const {
  TSize s;
  const_cast<TdxCustomSmartImage*>(this)->GetSize(s);
  return s.cx;
}

int TdxCustomSmartImage::Height() const {
  TSize s;
  const_cast<TdxCustomSmartImage*>(this)->GetSize(s);
  return s.cy;
}

bool TdxCustomSmartImage::Transparent() const {
  return const_cast<TdxCustomSmartImage*>(this)->IsAlphaUsed();
}

void TdxCustomSmartImage::GetSize(TSize& ASize) {
  if (FHandle) {
    FHandle->GetSize(ASize);
    return;
  }
  ASize = TSize{};
  if (FImageData->Empty()) return;
  if (dxIsSizeValid(FImageData->FNewSize)) {
    ASize = FImageData->FNewSize;
    return;
  }
  if (dxIsSizeValid(FImageData->FSize)) {
    ASize = FImageData->FSize;
    return;
  }
  TSize size;
  TdxSmartImageCodecClass codec = nullptr;
  if (TdxSmartImageCodecsRepository::GetImageInfo(FImageData.get(), size, codec) && dxIsSizeValid(size)) {
    FImageData->FSize = size;
    ASize = size;
    return;
  }
  HandleNeeded();
  FHandle->GetSize(ASize);
}

TRect TdxCustomSmartImage::GetClientRect() {
  TSize s;
  GetSize(s);
  return TRect{0, 0, s.cx, s.cy};
}

TdxSmartImageCustomHandle* TdxCustomSmartImage::Handle() {
  HandleNeeded();
  return FHandle.get();
}

void TdxCustomSmartImage::SetHandle(std::unique_ptr<TdxSmartImageCustomHandle> AHandle) {
  if (AHandle && AHandle.get() == FHandle.get()) return;
  FreeHandle();
  FHandle = std::move(AHandle);
  Changed();
}

void TdxCustomSmartImage::HandleNeeded() {
  while (!FHandle) CreateHandleFromImageData();
}

void TdxCustomSmartImage::CreateHandleFromImageData() {
  if (FImageData->Empty()) {
    FHandle = std::make_unique<TdxSmartImageEmptyHandle>();
    return;
  }
  std::unique_ptr<TdxSmartImageCustomHandle> handle;
  if (!TdxSmartImageCodecsRepository::Load(FImageData.get(), handle) || !handle)
    throw EdxException(cxGetResourceString(sdxUnsupportedImageFormat));
  FHandle = std::move(handle);
  if (dxIsSizeValid(FImageData->FNewSize)) {
    const TSize newSize = FImageData->FNewSize;
    FImageData->FNewSize = TSize{};
    Resize(newSize);
  }
}

void TdxCustomSmartImage::FreeHandle() {
  FHandle.reset();
  FImageData->Clear();
}

void TdxCustomSmartImage::CheckIsImageDataValid() {
  if (FHandle) return;
  TSize size;
  TdxSmartImageCodecClass codec = nullptr;
  if (!TdxSmartImageCodecsRepository::GetImageInfo(FImageData.get(), size, codec)) HandleNeeded();
}

TdxImageDataFormat TdxCustomSmartImage::ImageDataFormat() {
  if (auto* f = dynamic_cast<IdxImageDataFormat*>(Handle())) return f->GetImageFormat();
  return dxImageUnknown;
}

void TdxCustomSmartImage::SetImageDataFormat(TdxImageDataFormat AValue) {
  SetImageCodec(TdxSmartImageCodecsRepository::GetFormatByID(AValue));
}

TdxSmartImageCodecClass TdxCustomSmartImage::ImageCodec() {
  TdxSmartImageCustomHandle* handle = Handle();
  if (auto* f = dynamic_cast<IdxImageDataFormatEx*>(handle)) return f->GetImageFormat();
  if (auto* f = dynamic_cast<IdxImageDataFormat*>(handle))
    return TdxSmartImageCodecsRepository::GetFormatByID(f->GetImageFormat());
  return nullptr;
}

void TdxCustomSmartImage::SetImageCodec(TdxSmartImageCodecClass AValue) {
  if (ImageCodec() == AValue) return;
  TMemoryStream stream;
  SaveToStreamByCodec(&stream, AValue);
  stream.SetPosition(0);
  LoadFromStream(&stream);
}

TdxAlphaState TdxCustomSmartImage::AlphaState() {
  if (!FAlphaStateAssigned) {
    FAlphaState = Handle()->GetAlphaState();
    FAlphaStateAssigned = true;
  }
  return FAlphaState;
}

std::unique_ptr<TBitmap> TdxCustomSmartImage::GetAsBitmap() {
  return Handle()->GetAsBitmap();
}

TRGBColors TdxCustomSmartImage::GetBitmapBits() {
  TRGBColors bits;
  auto bitmap = GetAsBitmap();
  dxCoreGraphics::GetBitmapBits(bitmap.get(), bits, true);
  return bits;
}

bool TdxCustomSmartImage::Compare(TdxCustomSmartImage* AImage) {
  return AImage && Handle()->Equals(AImage->Handle());
}

bool TdxCustomSmartImage::Equals(TGraphic* AGraphic) {
  if (auto* image = dynamic_cast<TdxCustomSmartImage*>(AGraphic)) return Compare(image);
  return dxGraphicIsEquals(this, AGraphic);
}

uint32_t TdxCustomSmartImage::GetHashCode() {
  return Handle()->GetHashCode();
}

void TdxCustomSmartImage::SetUseCache(bool AValue) {
  if (FUseCache == AValue) return;
  FUseCache = AValue;
  FCache.reset();
}

// ---- Loading and saving -------------------------------------------------------------------

void TdxCustomSmartImage::LoadFromStream(TStream* AStream) {
  CreateHandleFromStream(AStream);
  Changed();
}

bool TdxCustomSmartImage::IsBitmapStream(TStream* AStream) {
  SmartImageStreamPositionGuard guard(AStream);
  uint8_t header[14] = {};
  return AStream->Read(header, sizeof(header)) == static_cast<int64_t>(sizeof(header)) && header[0] == 'B' &&
         header[1] == 'M';
}

void TdxCustomSmartImage::CreateHandleFromStream(TStream* AStream) {
  FreeHandle();
  if (IsBitmapStream(AStream)) {
    TBitmap bitmap;
    bitmap.LoadFromStream(AStream);
    CreateHandleFromBitmap(&bitmap);
    return;
  }
  const int64_t remaining = AStream->Size() - AStream->Position();
  if (remaining <= 0) return;
  auto data = std::make_unique<TdxSmartImageDataStream>();
  data->SetSize(remaining);
  AStream->ReadBuffer(data->Memory(), remaining);
  data->SetPosition(0);
  FImageData->FData = std::move(data);
}

void TdxCustomSmartImage::CreateHandleFromBitmap(TBitmap* ABitmap) {
  FreeHandle();
  FImageData->LoadFromBitmap(ABitmap);
}

void TdxCustomSmartImage::CreateHandleFromBits(int32_t AWidth, int32_t AHeight, TAlphaFormat AFormat,
                                               const TRGBColors& ABits) {
  FreeHandle();
  FImageData->LoadFromBits(AWidth, AHeight, ABits, AFormat);
}

void TdxCustomSmartImage::LoadFromBits(int32_t AWidth, int32_t AHeight, const TRGBColors& ABits,
                                       bool AHasAlphaChannel) {
  LoadFromBits(AWidth, AHeight, ABits, HasAlphaChannelFormatMap[AHasAlphaChannel ? 1 : 0]);
}

void TdxCustomSmartImage::LoadFromBits(int32_t AWidth, int32_t AHeight, const TRGBColors& ABits,
                                       TAlphaFormat AAlphaFormat) {
  // Pixels that do not fill the size would be read past their end by the decoders.
  const uint64_t count = uint64_t(std::max(AWidth, 0)) * uint64_t(std::max(AHeight, 0));
  if (count == 0 || ABits.size() < count) {
    FreeHandle();
  } else {
    CreateHandleFromBits(AWidth, AHeight, AAlphaFormat, ABits);
    FImageData->FBits.resize(count);
  }
  Changed();
}

void TdxCustomSmartImage::SetBitmap(TBitmap* ABitmap) {
  CreateHandleFromBitmap(ABitmap);
  Changed();
}

void TdxCustomSmartImage::LoadFromHBitmap(HBITMAP ABitmap, HPALETTE) {
  BITMAP data{};
  if (!ABitmap || !dxGetBitmapData(ABitmap, data)) {
    Clear();
    return;
  }
  // A copy in 32 bits, so the caller keeps its bitmap.
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(data.bmWidth, data.bmHeight);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, ABitmap);
  BitBlt(bitmap.Canvas()->Handle(), 0, 0, data.bmWidth, data.bmHeight, dc, 0, 0, SRCCOPY);
  SelectObject(dc, old);
  DeleteDC(dc);
  SetBitmap(&bitmap);
}

void TdxCustomSmartImage::LoadFromResource(HINSTANCE, const String& AResName, const Char* AResType) {
  const String type = AResType ? String(AResType) : String(u"RCDATA");
  auto bytes = FindEmbeddedResource(StringToUtf8(type), StringToUtf8(AResName));
  TMemoryStream stream;
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(0);
  if (type == u"BITMAP") {
    TBitmap bitmap;
    bitmap.LoadFromStream(&stream);
    SetBitmap(&bitmap);
  } else {
    LoadFromStream(&stream);
  }
}

void TdxCustomSmartImage::LoadFromFieldValue(const Variant& AValue) {
  if (!dxVarIsBlob(AValue)) return;
  const AnsiString bytes = dxVariantToAnsiString(AValue);
  TMemoryStream stream;
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(0);
  if (bytes.size() > 7) {
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
    const uint16_t count = uint16_t(p[0] | p[1] << 8), type = uint16_t(p[2] | p[3] << 8);
    const uint32_t size = uint32_t(p[4]) | uint32_t(p[5]) << 8 | uint32_t(p[6]) << 16 | uint32_t(p[7]) << 24;
    if (count == 1 && type == 0x0100 && size == bytes.size() - 8) stream.SetPosition(8);
  }
  if (stream.Size() > 0) LoadFromStream(&stream);
}

void TdxCustomSmartImage::SaveToStream(TStream* AStream) {
  if (!FHandle && FImageData->FData) {
    FImageData->FData->SetPosition(0);
    AStream->CopyFrom(FImageData->FData.get(), FImageData->FData->Size());
    return;
  }
  SaveToStreamByCodec(AStream, ImageDataFormat());
}

void TdxCustomSmartImage::SaveToStreamByCodec(TStream* AStream, TdxSmartImageCodecClass ACodec) {
  if (Empty()) return;
  auto data = ExportToStream(ACodec);
  data->SetPosition(0);
  AStream->CopyFrom(data.get(), data->Size());
}

void TdxCustomSmartImage::SaveToStreamByCodec(TStream* AStream, TdxImageDataFormat AFormat) {
  SaveToStreamByCodec(AStream, TdxSmartImageCodecsRepository::GetFormatByID(AFormat));
}

void TdxCustomSmartImage::SaveToFile(const String& AFileName) {
  TFileStream stream(AFileName, fmCreate);
  if (TdxSmartImageCodecClass codec =
          TdxSmartImageCodecsRepository::GetFormatByExt(ExtractFileExt(AFileName)))
    SaveToStreamByCodec(&stream, codec);
  else
    SaveToStream(&stream);
}

std::unique_ptr<TdxSmartImageDataStream> TdxCustomSmartImage::ExportToStream(TdxSmartImageCodecClass ACodec) {
  Check(ACodec != nullptr, cxGetResourceString(sdxOperationNotSupported));
  const TdxImageDataFormat format = ImageDataFormat();
  if (ACodec->ID() == format && FImageData->FData && format != dxImageUnknown) {
    auto clone = TdxSmartImageDataStream::Clone(FImageData->FData.get());
    clone->SetPosition(0);
    return clone;
  }
  auto result = std::make_unique<TdxSmartImageDataStream>();
  if (!ACodec->Save(result.get(), Handle()))
    throw EdxException(Format(cxGetResourceString(sdxImageCodecExportFailed),
                              {ACodec->ClassName(), static_cast<int32_t>(format)}));
  result->SetPosition(0);
  return result;
}

void TdxCustomSmartImage::PopulateImageDataFromHandle() {
  FImageData->FData = ExportToStream(ImageCodec());
}

// ---- Changing -----------------------------------------------------------------------------

void TdxCustomSmartImage::Clear() {
  if (FHandle || !FImageData->Empty()) {
    FreeHandle();
    Changed();
  }
}

void TdxCustomSmartImage::Resize(const TSize& ASize) {
  if (!FHandle) {
    FImageData->FNewSize = ASize;
    Changed();
  } else if (dynamic_cast<TdxSmartImageEmptyHandle*>(FHandle.get())) {
    TRGBColors bits;
    TdxSmartImageHelper::AllocColors(ASize.cx, ASize.cy, bits, 0);
    CreateHandleFromBits(ASize.cx, ASize.cy, afPremultiplied, bits);
    Changed();
  } else {
    TSize current;
    FHandle->GetSize(current);
    if (current == ASize) return;
    FHandle->SetSize(ASize);
    // The encoded bytes no longer describe the image.
    FImageData->Clear();
    Changed();
  }
}

void TdxCustomSmartImage::Scale(int32_t M, int32_t D) {
  Resize(MulDiv(Width(), M, D), MulDiv(Height(), M, D));
}

void TdxCustomSmartImage::ChangeColor(TColor AColor) {
  if (AColor == clDefault || AColor == clNone || Empty()) return;
  TSize size;
  GetSize(size);
  TRGBColors bits = GetBitmapBits();
  if (bits.empty()) return;
  dxChangeColor(bits.data(), static_cast<int32_t>(bits.size()), AColor);
  LoadFromBits(size.cx, size.cy, bits, true);
}

void TdxCustomSmartImage::ConvertToBitmap() {
  if (Empty()) return;
  const TdxImageDataFormat format = ImageDataFormat();
  if (format == dxImageBitmap || format == dxImageMemoryBmp) return;
  auto bitmap = GetAsBitmap();
  SetBitmap(bitmap.get());
}

void TdxCustomSmartImage::Dormant() {
  if (!FHandle) return;
  if (!Empty() && !FImageData->FData) PopulateImageDataFromHandle();
  FHandle.reset();
  FAlphaStateAssigned = false;
}

void TdxCustomSmartImage::AssignFromSmartImage(TdxCustomSmartImage* AImage) {
  if (AImage->Empty()) {
    Clear();
    return;
  }
  if (!AImage->FImageData->Empty()) {
    FreeHandle();
    TdxSmartImageData* source = AImage->FImageData.get();
    FImageData->FBits = source->FBits;
    FImageData->FBitsFormat = source->FBitsFormat;
    FImageData->FSize = source->FSize;
    FImageData->FNewSize = source->FNewSize;
    FImageData->FData = TdxSmartImageDataStream::Clone(source->FData.get());
    Changed();
  } else if (AImage->ImageDataFormat() == dxImageBitmap) {
    auto bitmap = AImage->GetAsBitmap();
    SetBitmap(bitmap.get());
  } else {
    TMemoryStream stream;
    AImage->SaveToStream(&stream);
    stream.SetPosition(0);
    LoadFromStream(&stream);
  }
}

void TdxCustomSmartImage::AssignFromGraphic(TGraphic* AGraphic) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(AGraphic)) {
    SetBitmap(bitmap);
  } else if (dynamic_cast<TIcon*>(AGraphic)) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(AGraphic->Width(), AGraphic->Height());
    if (!bitmap.Empty()) AGraphic->Draw(bitmap.Canvas(), TRect{0, 0, bitmap.Width(), bitmap.Height()});
    SetBitmap(&bitmap);
  } else {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(AGraphic->Width(), AGraphic->Height());
    if (!bitmap.Empty()) bitmap.Canvas()->Draw(0, 0, AGraphic);
    SetBitmap(&bitmap);
  }
}

// ---- Drawing ------------------------------------------------------------------------------

void TdxCustomSmartImage::Draw(TCanvas* ACanvas, const TRect& ARect) {
  StretchDraw(ACanvas->Handle(), ARect, 255, nullptr);
}

void TdxCustomSmartImage::DrawTransparent(TCanvas* ACanvas, const TRect& ARect, uint8_t AOpacity) {
  StretchDraw(ACanvas->Handle(), ARect, AOpacity, nullptr);
}

void TdxCustomSmartImage::StretchDraw(HDC DC, const TdxRectF& ADest, const TdxRectF& ASource, uint8_t AAlpha,
                                      IdxColorPalette* APalette) {
  Handle()->Draw(DC, ADest, ASource, AAlpha, APalette);
}

void TdxCustomSmartImage::StretchDraw(HDC DC, const TRect& ADest, const TRect& ASource, uint8_t AAlpha,
                                      IdxColorPalette* APalette) {
  Handle()->Draw(DC, ADest, ASource, AAlpha, APalette);
}

void TdxCustomSmartImage::StretchDraw(HDC DC, const TRect& ADest, uint8_t AAlpha, IdxColorPalette* APalette) {
  if (FUseCache) {
    const TSize target{ADest.Width(), ADest.Height()};
    const TGUID paletteID = dxGetColorPaletteID(APalette);
    if (!(paletteID == FCachePaletteID)) FCache.reset();
    if (FCache) {
      TSize cacheSize;
      FCache->GetSize(cacheSize);
      if (cacheSize != target) FCache.reset();
    }
    if (!FCache) {
      // The size from the header when the image is not decoded yet.
      TSize imageSize;
      GetSize(imageSize);
      if (CanCreateCache(imageSize, target)) {
        if (!FHandle) FCache = CreateCacheFromData(target);
        if (!FCache) FCache = CreateCache(target);
        FCachePaletteID = paletteID;
      }
    }
    if (FCache) {
      FCache->Draw(DC, ADest, FCache->GetClientRect(), AAlpha, APalette);
      return;
    }
  }
  TdxSmartImageCustomHandle* handle = Handle();
  handle->Draw(DC, ADest, handle->GetClientRect(), AAlpha, APalette);
}

bool TdxCustomSmartImage::CanCreateCache(const TSize& AImageSize, const TSize& ATargetSize) {
  return ATargetSize.cx < AImageSize.cx && ATargetSize.cy < AImageSize.cy &&
         int64_t(ATargetSize.cx) * 4 * ATargetSize.cy < int64_t(AImageSize.cx) * AImageSize.cy;
}

std::unique_ptr<TdxSmartImageCustomHandle> TdxCustomSmartImage::CreateCache(const TSize&) {
  return nullptr;
}

std::unique_ptr<TdxSmartImageCustomHandle> TdxCustomSmartImage::CreateCacheFromData(const TSize&) {
  return nullptr;
}

// ---- Animation ----------------------------------------------------------------------------

int32_t TdxCustomSmartImage::AnimationFrameCount() {
  if (auto* a = dynamic_cast<IdxAnimatedImage*>(Handle())) return a->GetAnimationFrameCount();
  return 1;
}

int32_t TdxCustomSmartImage::AnimationFrameDelay() {
  if (FAnimationFrameDelay != 0) return FAnimationFrameDelay;
  if (auto* a = dynamic_cast<IdxAnimatedImage*>(Handle())) return a->GetAnimationFrameDelay();
  return 0;
}

void TdxCustomSmartImage::SetAnimationFrameDelay(int32_t AValue) {
  AValue = std::max(0, AValue);
  if (AValue == FAnimationFrameDelay) return;
  FAnimationFrameDelay = AValue;
  if (Animation()) {
    StopAnimation();
    StartAnimation();
  }
}

int32_t TdxCustomSmartImage::AnimationLoopCount() {
  if (auto* a = dynamic_cast<IdxAnimatedImage*>(Handle())) return a->GetAnimationLoopCount();
  return 0;
}

int32_t TdxCustomSmartImage::ActiveFrame() {
  if (auto* a = dynamic_cast<IdxAnimatedImage*>(Handle())) return a->GetActiveFrame();
  return 0;
}

void TdxCustomSmartImage::SetActiveFrame(int32_t AValue) {
  auto* animated = dynamic_cast<IdxAnimatedImage*>(Handle());
  if (!animated) return;
  int32_t v = std::max(AValue, 0);
  const int32_t count = animated->GetAnimationFrameCount();
  if (v >= count) {
    const int32_t loops = animated->GetAnimationLoopCount();
    if (FAnimationLoop == bFalse ||
        (FAnimationLoop == bDefault && loops != 0 && FAnimationLoopIndex >= loops)) {
      v = std::max(count - 1, 0);
    } else {
      v = 0;
      if (loops != 0 && FAnimationLoop == bDefault) ++FAnimationLoopIndex;
    }
  }
  if (v != animated->GetActiveFrame()) {
    animated->SetActiveFrame(v);
    Changed();
  }
}

bool TdxCustomSmartImage::CanStartAnimation() {
  return dynamic_cast<IdxAnimatedImage*>(Handle()) != nullptr && ImageDataFormat() != dxImageTiff;
}

void TdxCustomSmartImage::StartAnimation() {
  if (FAnimationController || AnimationFrameCount() < 2) return;
  FAnimationController.reset(ImageAnimationControllerClass()(this));
  FAnimationController->StartAnimation();
}

void TdxCustomSmartImage::StopAnimation() {
  FAnimationController.reset();
}

bool TdxCustomSmartImage::Animation() {
  return FAnimationController && AnimationFrameCount() > 1 && FAnimationController->IsTimerActive();
}

void TdxCustomSmartImage::SetAnimation(bool AValue) {
  if (Animation() == AValue) return;
  if (AValue && CanStartAnimation())
    StartAnimation();
  else
    StopAnimation();
}

// ---- Clipboard ----------------------------------------------------------------------------

void TdxCustomSmartImage::CopyToClipboard() {
  if (Empty()) return;
  TClipboard* clipboard = Clipboard();
  clipboard->Open();
  ScopeExit close{[&] { clipboard->Close(); }};
  clipboard->Clear();
  UINT format = 0;
  HANDLE data = nullptr;
  HPALETTE palette = nullptr;
  SaveToClipboardFormat(format, data, palette);
  if (data) clipboard->SetAsHandle(format, data);
}

void TdxCustomSmartImage::CutToClipboard() {
  if (Empty()) return;
  CopyToClipboard();
  Clear();
}

void TdxCustomSmartImage::PasteFromClipboard() {
  TClipboard* clipboard = Clipboard();
  clipboard->Open();
  ScopeExit close{[&] { clipboard->Close(); }};
  AssignFromClipboard();
}

bool TdxCustomSmartImage::IsSupportClipboardFormat(UINT AFormat) {
  if (AFormat == 0) return false;
  for (UINT f : FImageClipboardFormats)
    if (f == AFormat) return true;
  return false;
}

bool TdxCustomSmartImage::HasClipboardFormat() {
  for (TdxImageDataFormat f : SupportedFormats) {
    const UINT cf = ImageClipboardFormats(f);
    if (cf != 0 && Clipboard()->HasFormat(cf)) return true;
  }
  return false;
}

bool TdxCustomSmartImage::AssignFromClipboard() {
  for (TdxImageDataFormat f : SupportedFormats) {
    const UINT cf = ImageClipboardFormats(f);
    if (cf == 0 || !IsClipboardFormatAvailable(cf)) continue;
    LoadFromClipboardFormat(cf, GetClipboardData(cf), nullptr);
    return true;
  }
  return false;
}

void TdxCustomSmartImage::LoadFromClipboardFormat(UINT AFormat, HANDLE AData, HPALETTE APalette) {
  if (AFormat == CF_BITMAP) {
    BITMAP data{};
    if (!AData || !dxGetBitmapData(static_cast<HBITMAP>(AData), data)) return;
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(data.bmWidth, data.bmHeight);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, static_cast<HBITMAP>(AData));
    BitBlt(bitmap.Canvas()->Handle(), 0, 0, data.bmWidth, data.bmHeight, dc, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    (void)APalette;
    SetBitmap(&bitmap);
  } else if (IsSupportClipboardFormat(AFormat) && AData) {
    const size_t size = GlobalSize(AData);
    const void* p = GlobalLock(AData);
    TMemoryStream stream;
    {
      ScopeExit unlock{[&] { GlobalUnlock(AData); }};
      if (p && size) stream.WriteBuffer(p, static_cast<int64_t>(size));
    }
    stream.SetPosition(0);
    LoadFromStream(&stream);
  }
}

void TdxCustomSmartImage::SaveToClipboardFormat(UINT& AFormat, HANDLE& AData, HPALETTE& APalette) {
  TSize size;
  GetSize(size);
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(std::max(size.cx, 0), std::max(size.cy, 0));
  if (!bitmap.Empty()) {
    bitmap.Canvas()->Brush()->SetColor(clWhite);
    bitmap.Canvas()->FillRect(TRect{0, 0, size.cx, size.cy});
    StretchDraw(bitmap.Canvas()->Handle(), TRect{0, 0, size.cx, size.cy}, 255, nullptr);
  }
  AFormat = CF_BITMAP;
  AData = bitmap.ReleaseHandle();
  APalette = nullptr;
  const UINT ownFormat = ImageClipboardFormats(ImageDataFormat());
  if (ownFormat == 0) return;
  SetClipboardData(AFormat, AData);
  TMemoryStream stream;
  SaveToStream(&stream);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, static_cast<size_t>(stream.Size()));
  if (!memory) throw EOutOfMemory(u"Out of memory");
  try {
    void* p = GlobalLock(memory);
    if (!p) throw EOutOfMemory(u"Out of memory");
    std::memcpy(p, stream.Memory(), static_cast<size_t>(stream.Size()));
    GlobalUnlock(memory);
  } catch (...) {
    GlobalFree(memory);
    throw;
  }
  AFormat = ownFormat;
  AData = memory;
}

// ---- Unit ---------------------------------------------------------------------------------

namespace dxSmartImage {

void Initialize() {
  dxSmartImageCodecDescriptionSuffix() = u" graphics from Calderwisp";
}

void Finalize() {
  dxSmartImageCodecDescriptionSuffix().clear();
}

}  // namespace dxSmartImage

}  // namespace qd
