#include "ui/lookandfeel/dxSkinDetails.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "platform/base/scopeexit.h"
#include "platform/base/strings.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"

namespace qd {

static_assert(std::endian::native == std::endian::little, "the skin stream is little-endian");

QD_IMPLEMENT_CLASS(EdxSkinError)
QD_IMPLEMENT_CLASS(TdxSkinPartStream)
QD_IMPLEMENT_CLASS(TdxSkinDetails)

TdxSkinImageSet dxSkinsUseImageSet = imsDefault;
TdxSkinDetailsOldFormatLoader dxSkinDetailsOldFormatLoader = nullptr;

const Char* const SkinIconNames[dxSkinIconSizeCount] = {u"DEFAULTSKINICONSMALL", u"DEFAULTSKINICONLARGE"};

namespace {

constexpr double kSkinDetailsFullVersion = 1.04;

}  // namespace

// ---- Stream primitives ----------------------------------------------------------------------

int32_t dxSkinReadIntegerFromStream(TStream* AStream) {
  int32_t value = 0;
  AStream->ReadBufferData(value);
  return value;
}

void dxSkinWriteIntegerToStream(TStream* AStream, int32_t AValue) {
  AStream->WriteBufferData(AValue);
}

void dxSkinCheckBytesLeft(TStream* AStream, int64_t ACount) {
  if (ACount > AStream->Size() - AStream->Position()) throw EReadError(u"Stream read error");
}

bool dxSkinCheckSignature(TStream* AStream, double& AVersion) {
  uint8_t header[dxSkinHeaderSize];
  if (AStream->Read(header, dxSkinHeaderSize) != dxSkinHeaderSize) return false;
  if (std::memcmp(header + 4, dxSkinSignature, dxSkinSignatureSize) != 0) return false;
  double version;
  std::memcpy(&version, header + 4 + dxSkinSignatureSize, sizeof(version));
  if (version < 1.0) return false;
  AVersion = version;
  return true;
}

void dxSkinWriteSignature(TStream* AStream, double AVersion) {
  dxSkinWriteIntegerToStream(AStream, 0);
  AStream->WriteBuffer(dxSkinSignature, dxSkinSignatureSize);
  AStream->WriteBufferData(AVersion);
}

String dxSkinReadStringFromStream(TStream* AStream) {
  const int32_t count = dxSkinReadIntegerFromStream(AStream);
  if (count <= 0) return String();
  dxSkinCheckBytesLeft(AStream, count);
  std::string bytes(static_cast<size_t>(count), '\0');
  AStream->ReadBuffer(bytes.data(), count);
  return Utf8ToString(bytes);
}

void dxSkinWriteStringToStream(TStream* AStream, const String& AValue) {
  const std::string bytes = StringToUtf8(AValue);
  if (bytes.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
    throw EWriteError(u"Stream write error");
  const int32_t count = static_cast<int32_t>(bytes.size());
  dxSkinWriteIntegerToStream(AStream, count);
  if (count > 0) AStream->WriteBuffer(bytes.data(), count);
}

String dxSkinReadWideStringFromStream(TStream* AStream) {
  const int32_t count = dxSkinReadIntegerFromStream(AStream);
  if (count <= 0) return String();
  const int64_t bytes = int64_t{count} * 2;
  dxSkinCheckBytesLeft(AStream, bytes);
  String result(static_cast<size_t>(count), u'\0');
  AStream->ReadBuffer(result.data(), bytes);
  return result;
}

void dxSkinWriteWideStringToStream(TStream* AStream, const String& AValue) {
  if (AValue.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max() / 2))
    throw EWriteError(u"Stream write error");
  const int32_t count = static_cast<int32_t>(AValue.size());
  dxSkinWriteIntegerToStream(AStream, count);
  if (count > 0) AStream->WriteBuffer(AValue.data(), int64_t{count} * 2);
}

void dxSkinReadSmartImageFromStream(TStream* AStream, TdxCustomSmartImage* AImage) {
  const int32_t size = dxSkinReadIntegerFromStream(AStream);
  if (size <= 0) return;
  dxSkinCheckBytesLeft(AStream, size);
  const int64_t start = AStream->Position();
  ScopeExit restore{[&] { AStream->SetPosition(start + size); }};
  TdxSkinPartStream part(AStream, size, start);
  AImage->LoadFromStream(&part);
}

void dxSkinWriteSmartImageToStream(TStream* AStream, TdxCustomSmartImage* AImage) {
  TMemoryStream buffer;
  if (AImage && !AImage->Empty()) {
    // Undecoded bytes are kept as they are; SaveToStream only decodes pixels kept raw.
    const bool wasDecoded = AImage->HandleAllocated();
    if (!wasDecoded) AImage->SaveToStream(&buffer);
    if (AImage->HandleAllocated()) {
      const bool vector = dynamic_cast<IdxVectorImage*>(AImage->Handle()) != nullptr;
      const TdxImageDataFormat format = AImage->ImageDataFormat();
      buffer.Clear();
      if (!vector && format != dxImagePng && format != dxImageGif)
        AImage->SaveToStreamByCodec(&buffer, dxImagePng);
      else
        AImage->SaveToStream(&buffer);
    }
  }
  const int64_t size = buffer.Size();
  if (size > std::numeric_limits<int32_t>::max()) throw EWriteError(u"Stream write error");
  const int32_t size32 = static_cast<int32_t>(size);
  dxSkinWriteIntegerToStream(AStream, size32);
  if (size32 > 0) AStream->WriteBuffer(buffer.Memory(), size32);
}

// ---- TdxSkinPartStream ----------------------------------------------------------------------

TdxSkinPartStream::TdxSkinPartStream(TStream* ASource, int64_t ASize, int64_t APosStart)
    : FSource(ASource), FPosStart(APosStart), FPosEnd(APosStart + std::max<int64_t>(ASize, 0)) {}

int64_t TdxSkinPartStream::Read(void* Buffer, int64_t Count) {
  const int64_t left = FPosEnd - FSource->Position();
  if (Count <= 0 || left <= 0) return 0;
  return FSource->Read(Buffer, std::min(Count, left));
}

int64_t TdxSkinPartStream::Write(const void* Buffer, int64_t Count) {
  const int64_t written = FSource->Write(Buffer, Count);
  FPosEnd = FSource->Position();
  return written;
}

int64_t TdxSkinPartStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  int64_t target;
  switch (Origin) {
    case soBeginning:
      target = Offset + FPosStart;
      break;
    case soEnd:
      target = Offset + FPosEnd;
      break;
    default:
      target = Offset + FSource->Position();
      break;
  }
  target = std::clamp(target, FPosStart, FPosEnd);
  return FSource->Seek(target, soBeginning) - FPosStart;
}

// ---- TdxSkinDetails -------------------------------------------------------------------------

TdxSkinDetails::TdxSkinDetails() {
  for (auto& icon : FIcons) {
    icon = std::make_unique<TdxSmartImage>();
    icon->OnChange = MakeMethod(this, &TdxSkinDetails::DoIconsChanged);
  }
}

TdxSkinDetails::~TdxSkinDetails() {
  for (auto& icon : FIcons) icon->OnChange = nullptr;
}

void TdxSkinDetails::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxSkinDetails*>(Source);
  if (!source) return;
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  SetName(source->Name());
  SetNotes(source->Notes());
  SetGroupName(source->GroupName());
  SetDisplayName(source->DisplayName());
  for (int i = 0; i < dxSkinIconSizeCount; ++i) FIcons[i]->Assign(source->FIcons[i].get());
}

void TdxSkinDetails::Changed() {
  if (FUpdateCount == 0 && OnChange) OnChange(this);
}

void TdxSkinDetails::EndUpdate() {
  --FUpdateCount;
  Changed();
}

void TdxSkinDetails::Clear() {
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  SetName(String());
  SetDisplayName(String());
  SetGroupName(String());
  SetNotes(String());
  for (auto& icon : FIcons) icon->Clear();
}

void TdxSkinDetails::DataRead(TStream* AStream, double AVersion) {
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  Clear();
  SetName(dxSkinReadStringFromStream(AStream));
  // A version that is not a number counts as new.
  if (!(AVersion < kSkinDetailsFullVersion)) {
    SetDisplayName(dxSkinReadStringFromStream(AStream));
    SetGroupName(dxSkinReadStringFromStream(AStream));
    SetNotes(dxSkinReadWideStringFromStream(AStream));
    dxSkinReadSmartImageFromStream(AStream, FIcons[sis16].get());
    dxSkinReadSmartImageFromStream(AStream, FIcons[sis48].get());
  }
  for (int i = 0; i < dxSkinIconSizeCount; ++i)
    if (FIcons[i]->Empty()) ResetIcon(static_cast<TdxSkinIconSize>(i));
}

void TdxSkinDetails::DataWrite(TStream* AStream) {
  dxSkinWriteStringToStream(AStream, FName);
  dxSkinWriteStringToStream(AStream, FDisplayName);
  dxSkinWriteStringToStream(AStream, FGroupName);
  dxSkinWriteWideStringToStream(AStream, FNotes);
  dxSkinWriteSmartImageToStream(AStream, FIcons[sis16].get());
  dxSkinWriteSmartImageToStream(AStream, FIcons[sis48].get());
}

bool TdxSkinDetails::LoadFromStream(TStream* AStream) {
  FDataOffset = AStream->Position();
  double version = 0;
  if (!dxSkinCheckSignature(AStream, version)) return false;
  // Like every version test of the format, a version that is not a number counts as new.
  if (!(version < kSkinDetailsFullVersion)) {
    DataRead(AStream, version);
  } else {
    if (!dxSkinDetailsOldFormatLoader) throw EdxSkinError(u"Invalid stream format");
    AStream->SetPosition(FDataOffset);
    dxSkinDetailsOldFormatLoader(this, AStream);
  }
  return true;
}

void TdxSkinDetails::ResetIcon(TdxSkinIconSize ASize) {
  FIcons[ASize]->LoadFromResource(nullptr, SkinIconNames[ASize], u"DXSKINS");
}

void TdxSkinDetails::SetText(String& AField, const String& AValue) {
  if (AField == AValue) return;
  AField = AValue;
  Changed();
}

void TdxSkinDetails::SetDisplayName(const String& AValue) {
  SetText(FDisplayName, AValue);
}

void TdxSkinDetails::SetGroupName(const String& AValue) {
  SetText(FGroupName, AValue);
}

void TdxSkinDetails::SetName(const String& AValue) {
  SetText(FName, AValue);
}

void TdxSkinDetails::SetNotes(const String& AValue) {
  SetText(FNotes, AValue);
}

void TdxSkinDetails::DoIconsChanged(TObject*) {
  Changed();
}

}  // namespace qd
