// Images, elements and control groups of the skin model, with their stored form.
#include <algorithm>

#include "platform/base/scopeexit.h"
#include "platform/base/strings.h"
#include "platform/classes/sysutils_files.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/skins/dxSkinsCore.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxSkinImage)
QD_IMPLEMENT_CLASS(TdxSkinElement)
QD_IMPLEMENT_CLASS(TdxSkinEmptyElement)
QD_IMPLEMENT_CLASS(TdxSkinControlGroup)
QD_IMPLEMENT_CLASS(TdxSkinElements)
QD_IMPLEMENT_CLASS(TdxSkinControlGroups)

namespace {

constexpr double kSkinImageCountVersion = 1.1;
constexpr double kSkinGradientVersion = 1.02;
constexpr double kSkinPalettesVersion = 1.15;
constexpr double kSkinInterpolationVersion = 1.24;
constexpr uint16_t kSkinAllStatesMask = (1u << dxSkinElementStateCount) - 1;

}  // namespace

String dxSkinGetAlternateImageAttrsPropertyName(TdxSkinElementState AState, int32_t AImageIndex) {
  return u"AlternateImage" + IntToStr(int64_t{AImageIndex} + 1) + dxSkinElementStateNames[AState];
}

// ---- TdxSkinImage ---------------------------------------------------------------------------

TdxSkinImage::TdxSkinImage(TdxSkinElement* AOwner)
    : FOwner(AOwner),
      FMargins(std::make_unique<TcxMargin>(this, 0)),
      FGradientBeginColor(AOwner, clNone),
      FGradientEndColor(AOwner, clNone),
      FColorPalettes(std::make_unique<TdxSkinColorPalettes>(this)) {
  FColorPalettes->SetDefaultColorClass(TdxSkinAlphaColor::StaticClass());
  FColorPalettes->OnChange = MakeMethod(this, &TdxSkinImage::PalettesChanged);
  FMargins->SetOnChange(MakeMethod(this, &TdxSkinImage::MarginsChanged));
  FTexture = CreateTexture();
  FTexture->OnChange = MakeMethod(this, &TdxSkinImage::TextureChanged);
}

TdxSkinImage::~TdxSkinImage() {
  OnChange = nullptr;
  FTexture->OnChange = nullptr;
  FColorPalettes->OnChange = nullptr;
  FMargins->SetOnChange(nullptr);
}

std::unique_ptr<TdxSmartImage> TdxSkinImage::CreateTexture() {
  return std::make_unique<TdxSmartImage>();
}

TPersistent* TdxSkinImage::GetOwner() const {
  return FOwner;
}

void TdxSkinImage::TextureChanged(TObject*) {
  FTextureIsVector = bDefault;
  Changed();
}

void TdxSkinImage::Changed() {
  FIsDirty = true;
  if (OnChange) OnChange(this);
}

void TdxSkinImage::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxSkinImage*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  if (source->Empty()) {
    Clear();
  } else {
    FTexture->Assign(source->FTexture.get());
    FSourceName = source->SourceName();
  }
  FColorPalettes->Assign(source->FColorPalettes.get());
  FGradientEndColor.Assign(source->FGradientEndColor);
  FGradientBeginColor.Assign(source->FGradientBeginColor);
  SetGradient(source->FGradient);
  FImageCount = source->FImageCount;
  SetImageLayout(source->FImageLayout);
  FMargins->SetMargin(source->FMargins->Margin());
  SetStretch(source->FStretch);
  SetStates(source->FStates);
  SetInterpolationMode(source->FInterpolationMode);
  Changed();
}

void TdxSkinImage::DataRead(TStream* AStream, double AVersion) {
  FMargins->SetMargin(dxSkinReadRectFromStream(AStream));
  const uint8_t layout = dxSkinReadByteFromStream(AStream);
  FImageLayout = layout == ilVertical ? ilVertical : ilHorizontal;
  if (!(AVersion < kSkinImageCountVersion))
    FImageCount = dxSkinReadIntegerFromStream(AStream);
  else
    FImageCount = FOwner ? FOwner->ReadImageCount() : 1;
  uint16_t states = 0;
  AStream->ReadBufferData(states);
  FStates = TdxSkinElementStates::FromBits(states & kSkinAllStatesMask);
  const uint8_t stretch = dxSkinReadByteFromStream(AStream);
  FStretch = stretch <= smNoResize ? static_cast<TdxSkinStretchMode>(stretch) : smStretch;
  if (!(AVersion < kSkinGradientVersion)) {
    FGradientBeginColor.ReadFromStream(AStream, AVersion);
    FGradientEndColor.ReadFromStream(AStream, AVersion);
    FGradient = dxSkinReadGradientModeFromStream(AStream);
  }
  dxSkinReadSmartImageFromStream(AStream, FTexture.get());
  if (!(AVersion < kSkinPalettesVersion)) FColorPalettes->DataRead(AStream, AVersion);
  if (!(AVersion < kSkinInterpolationVersion)) {
    const uint8_t mode = dxSkinReadByteFromStream(AStream);
    FInterpolationMode = mode <= imHighQualityBicubic ? static_cast<TdxGPInterpolationMode>(mode) : imDefault;
  }
  Changed();
}

void TdxSkinImage::DataWrite(TStream* AStream) {
  dxSkinWriteRectToStream(AStream, FMargins->Margin());
  dxSkinWriteByteToStream(AStream, FImageLayout);
  dxSkinWriteIntegerToStream(AStream, FImageCount);
  const uint16_t states = static_cast<uint16_t>(FStates.ToBits() & kSkinAllStatesMask);
  AStream->WriteBufferData(states);
  dxSkinWriteByteToStream(AStream, FStretch);
  FGradientBeginColor.WriteToStream(AStream);
  FGradientEndColor.WriteToStream(AStream);
  dxSkinWriteByteToStream(AStream, FGradient);
  dxSkinWriteSmartImageToStream(AStream, FTexture.get());
  FColorPalettes->DataWrite(AStream);
  dxSkinWriteByteToStream(AStream, static_cast<uint8_t>(FInterpolationMode));
}

void TdxSkinImage::FlushCache() {
  FGradientBeginColor.FlushCache();
  FGradientEndColor.FlushCache();
  FColorPalettes->FlushCache();
}

bool TdxSkinImage::Compare(TdxSkinImage* AImage) {
  if (!AImage) return false;
  return FImageLayout == AImage->FImageLayout && Empty() == AImage->Empty() && FStates == AImage->FStates &&
         FGradient == AImage->FGradient && FStretch == AImage->FStretch && Size() == AImage->Size() &&
         FColorPalettes->Compare(AImage->FColorPalettes.get()) && FMargins->IsEqual(AImage->FMargins.get()) &&
         (FTexture->Empty() ? AImage->FTexture->Empty() : FTexture->Compare(AImage->FTexture.get())) &&
         FGradientBeginColor.Compare(AImage->FGradientBeginColor) &&
         FGradientEndColor.Compare(AImage->FGradientEndColor);
}

void TdxSkinImage::Dormant() {
  FTexture->Dormant();
}

void TdxSkinImage::Clear() {
  if (FSourceName.empty() && FTexture->Empty()) return;
  FSourceName.clear();
  FTexture->Clear();
  Changed();
}

bool TdxSkinImage::Empty() const {
  return FSourceName.empty() && FTexture->Empty();
}

bool TdxSkinImage::IsVectorTexture() {
  if (FTextureIsVector == bDefault)
    FTextureIsVector = !FTexture->Empty() && FTexture->Supports<IdxVectorImage>() ? bTrue : bFalse;
  return FTextureIsVector == bTrue;
}

bool TdxSkinImage::IsGradientParamsAssigned() {
  const TColor color = FGradientBeginColor.GetValue();
  return color != clNone && color != clDefault;
}

void TdxSkinImage::LoadFromStream(TStream* AStream) {
  FTexture->LoadFromStream(AStream);
}

void TdxSkinImage::SaveToStream(TStream* AStream) {
  TMemoryStream block;
  dxSkinWriteSmartImageToStream(&block, FTexture.get());
  if (block.Size() > 4) {
    block.SetPosition(4);
    AStream->CopyFrom(&block, block.Size() - 4);
  }
}

void TdxSkinImage::LoadFromFile(const String& AFileName) {
  TFileStream stream(AFileName, fmOpenRead | fmShareDenyNone);
  FSourceName = AFileName;
  FTexture->LoadFromStream(&stream);
}

void TdxSkinImage::LoadFromResource(HINSTANCE AInstance, const String& AName, const Char* AType) {
  FTexture->LoadFromResource(AInstance, AName, AType);
}

void TdxSkinImage::SaveToFile(const String& AFileName) {
  if (Empty()) return;
  FSourceName = ChangeFileExt(AFileName, IsVectorTexture() ? u".svg" : u".png");
  TFileStream stream(FSourceName, fmCreate);
  SaveToStream(&stream);
}

String TdxSkinImage::Name() {
  if (Empty() || !FOwner) return String();
  return FOwner->Name() + (FOwner->Glyph() == this ? u"_Glyph" : u"_Image") +
         (IsVectorTexture() ? u".svg" : u".png");
}

String TdxSkinImage::SourceName() {
  if (!FSourceName.empty() || Empty() || !FOwner) return FSourceName;
  return FOwner->Path() + Name();
}

void TdxSkinImage::SetImageLayout(TdxSkinImageLayout AValue) {
  if (AValue == FImageLayout) return;
  FImageLayout = AValue;
  Changed();
}

void TdxSkinImage::SetImageCount(int32_t AValue) {
  AValue = std::max(AValue, 1);
  if (AValue == FImageCount) return;
  FImageCount = AValue;
  Changed();
}

void TdxSkinImage::SetStates(TdxSkinElementStates AValue) {
  if (AValue == FStates) return;
  FStates = AValue;
  Changed();
}

void TdxSkinImage::SetStretch(TdxSkinStretchMode AValue) {
  if (AValue == FStretch) return;
  FStretch = AValue;
  Changed();
}

void TdxSkinImage::SetGradient(TdxSkinGradientMode AValue) {
  if (AValue == FGradient) return;
  FGradient = AValue;
  Changed();
}

void TdxSkinImage::SetInterpolationMode(TdxGPInterpolationMode AValue) {
  if (AValue == FInterpolationMode) return;
  FInterpolationMode = AValue;
  Changed();
}

// ---- TdxSkinElement -------------------------------------------------------------------------

TdxSkinElement::TdxSkinElement(TPersistent* AOwner, const String& AName)
    : TdxSkinPersistent(AOwner, AName),
      FColor(this, clDefault),
      FImage(std::make_unique<TdxSkinImage>(this)),
      FGlyph(std::make_unique<TdxSkinImage>(this)),
      FBorders(std::make_unique<TdxSkinBorders>(this, u"Borders")),
      FContentOffset(std::make_unique<TcxRect>(this)),
      FTextColor(this, clDefault),
      FMinSize(std::make_unique<TcxSize>(this)) {
  FImage->OnChange = MakeMethod(this, &TdxSkinElement::ImageChanged);
  FGlyph->OnChange = MakeMethod(this, &TdxSkinElement::ImageChanged);
  FBorders->OnChange = MakeMethod(this, &TdxSkinElement::PartChanged);
  FContentOffset->SetOnChange(MakeMethod(this, &TdxSkinElement::ImageChanged));
  FMinSize->SetOnChange(MakeMethod(this, &TdxSkinElement::ImageChanged));
}

TdxSkinElement::~TdxSkinElement() {
  FCache.reset();
  OnChange = nullptr;
  FImage->OnChange = nullptr;
  FGlyph->OnChange = nullptr;
  FBorders->OnChange = nullptr;
  FContentOffset->SetOnChange(nullptr);
  FMinSize->SetOnChange(nullptr);
}

void TdxSkinElement::AssignCore(TPersistent* Source) {
  auto* s = dynamic_cast<TdxSkinElement*>(Source);
  if (!s) {
    TdxSkinPersistent::AssignCore(Source);
    return;
  }
  FImage->Assign(s->FImage.get());
  FGlyph->Assign(s->FGlyph.get());
  SetAlpha(s->FAlpha);
  FContentOffset->SetRect(s->FContentOffset->Rect());
  FBorders->Assign(s->FBorders.get());
  FMinSize->SetSize(s->FMinSize->Size());
  FColor.Assign(s->FColor);
  FTextColor.Assign(s->FTextColor);
  SetUseCache(s->UseCache());
  FProperties->Assign(s->FProperties.get());
}

void TdxSkinElement::DataRead(TStream* AStream, double AVersion) {
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  FColor.ReadFromStream(AStream, AVersion);
  FAlpha = dxSkinReadByteFromStream(AStream);
  if (!(AVersion >= 1.1)) FReadImageCount = dxSkinReadIntegerFromStream(AStream);
  FContentOffset->SetRect(dxSkinReadRectFromStream(AStream));
  FGlyph->DataRead(AStream, AVersion);
  FImage->DataRead(AStream, AVersion);
  FBorders->DataRead(AStream, AVersion);
  FTextColor.ReadFromStream(AStream, AVersion);
  TSize minSize;
  minSize.cx = dxSkinReadIntegerFromStream(AStream);
  minSize.cy = dxSkinReadIntegerFromStream(AStream);
  FMinSize->SetSize(minSize);
  FProperties->DataRead(AStream, AVersion);
  Changed({scContent});
}

void TdxSkinElement::DataWrite(TStream* AStream) {
  FColor.WriteToStream(AStream);
  dxSkinWriteByteToStream(AStream, FAlpha);
  dxSkinWriteRectToStream(AStream, FContentOffset->Rect());
  FGlyph->DataWrite(AStream);
  FImage->DataWrite(AStream);
  FBorders->DataWrite(AStream);
  FTextColor.WriteToStream(AStream);
  dxSkinWriteIntegerToStream(AStream, FMinSize->Width());
  dxSkinWriteIntegerToStream(AStream, FMinSize->Height());
  FProperties->DataWrite(AStream);
}

void TdxSkinElement::DoChanged(TdxSkinChanges AChanges) {
  if (FCache) FCache->Flush();
  if (AChanges.Contains(scStruct)) FAlternateImageSetDirty = true;
  TdxSkinPersistent::DoChanged(AChanges);
}

void TdxSkinElement::FlushCache() {
  FColor.FlushCache();
  FTextColor.FlushCache();
  FImage->FlushCache();
  FGlyph->FlushCache();
  FBorders->FlushCache();
  if (FCache) FCache->Flush();
  TdxSkinPersistent::FlushCache();
}

bool TdxSkinElement::Compare(TdxSkinElement* AElement) {
  return AElement && SameText(Name(), AElement->Name()) && Color() == AElement->Color() &&
         FAlpha == AElement->FAlpha && TextColor() == AElement->TextColor() &&
         FMinSize->IsEqual(AElement->FMinSize.get()) &&
         FContentOffset->IsEqual(AElement->FContentOffset.get()) &&
         FBorders->Compare(AElement->FBorders.get()) && FProperties->Compare(AElement->FProperties.get()) &&
         FImage->Compare(AElement->FImage.get()) && FGlyph->Compare(AElement->FGlyph.get());
}

void TdxSkinElement::Dormant() {
  if (FCache) FCache->Flush();
  FImage->Dormant();
  FGlyph->Dormant();
}

void TdxSkinElement::SetAlpha(uint8_t AValue) {
  if (AValue == FAlpha) return;
  FAlpha = AValue;
  Changed({scContent});
}

TdxSkinControlGroup* TdxSkinElement::Group() const {
  return dynamic_cast<TdxSkinControlGroup*>(FOwner);
}

String TdxSkinElement::Path() const {
  TdxSkinControlGroup* group = Group();
  return group ? group->Name() + u"\\" : String();
}

TdxSkinAlternateImageAttributes* TdxSkinElement::AddAlternateImageAttributes(TdxSkinElementState AState,
                                                                             int32_t AImageIndex) {
  return static_cast<TdxSkinAlternateImageAttributes*>(
      AddProperty(dxSkinGetAlternateImageAttrsPropertyName(AState, AImageIndex),
                  TdxSkinAlternateImageAttributes::StaticClass()));
}

// ---- Element and group lists ----------------------------------------------------------------

TdxSkinElement* TdxSkinElements::Add(const String& AName, TClass AElementClass) {
  if (!AElementClass || !AElementClass->InheritsFrom(TdxSkinElement::StaticClass()))
    AElementClass = TdxSkinElement::StaticClass();
  std::unique_ptr<TObject> object(AElementClass->Create(FOwner));
  auto* element = dynamic_cast<TdxSkinElement*>(object.get());
  if (!element) throw EdxSkinError(u"Invalid stream format");
  object.release();
  std::unique_ptr<TdxSkinCustomObject> item(element);
  SetItemName(element, AName);
  return static_cast<TdxSkinElement*>(AddItem(std::move(item)));
}

TdxSkinElement* TdxSkinElements::Items(int32_t AIndex) const {
  return static_cast<TdxSkinElement*>(Item(AIndex));
}

void TdxSkinElements::Assign(TdxSkinElements* ASource) {
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  Clear();
  for (int32_t i = 0; i < ASource->Count(); ++i) {
    TdxSkinElement* source = ASource->Items(i);
    Add(source->Name(), source->ClassType())->Assign(source);
  }
}

void TdxSkinElements::SortChildren() {
  for (int32_t i = 0; i < Count(); ++i) Items(i)->Sort(true);
}

void TdxSkinElements::DataReadItem(TStream* AStream, double AVersion) {
  const String name = dxSkinReadStringFromStream(AStream);
  Add(name, TdxSkinElement::StaticClass())->DataRead(AStream, AVersion);
}

void TdxSkinElements::DataWriteItem(TStream* AStream, TdxSkinCustomObject* AItem) {
  dxSkinWriteStringToStream(AStream, AItem->Name());
  AItem->DataWrite(AStream);
}

TdxSkinControlGroup* TdxSkinControlGroups::Add(const String& AName) {
  return static_cast<TdxSkinControlGroup*>(AddItem(std::make_unique<TdxSkinControlGroup>(FOwner, AName)));
}

TdxSkinControlGroup* TdxSkinControlGroups::Items(int32_t AIndex) const {
  return static_cast<TdxSkinControlGroup*>(Item(AIndex));
}

void TdxSkinControlGroups::Assign(TdxSkinControlGroups* ASource) {
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  Clear();
  for (int32_t i = 0; i < ASource->Count(); ++i) {
    TdxSkinControlGroup* source = ASource->Items(i);
    Add(source->Name())->Assign(source);
  }
}

void TdxSkinControlGroups::SortChildren() {
  for (int32_t i = 0; i < Count(); ++i) Items(i)->Sort(true);
}

void TdxSkinControlGroups::DataReadItem(TStream* AStream, double AVersion) {
  const String name = dxSkinReadStringFromStream(AStream);
  Add(name)->DataRead(AStream, AVersion);
}

void TdxSkinControlGroups::DataWriteItem(TStream* AStream, TdxSkinCustomObject* AItem) {
  dxSkinWriteStringToStream(AStream, AItem->Name());
  AItem->DataWrite(AStream);
}

// ---- TdxSkinControlGroup --------------------------------------------------------------------

TdxSkinControlGroup::TdxSkinControlGroup(TPersistent* AOwner, const String& AName)
    : TdxSkinPersistent(AOwner, AName),
      FElements(
          std::make_unique<TdxSkinElements>(this, MakeMethod(this, &TdxSkinPersistent::SubItemChanged))) {}

TdxSkinControlGroup::~TdxSkinControlGroup() {
  OnChange = nullptr;
  FElements->OnChange = nullptr;
}

void TdxSkinControlGroup::AssignCore(TPersistent* Source) {
  auto* s = dynamic_cast<TdxSkinControlGroup*>(Source);
  if (!s) {
    TdxSkinPersistent::AssignCore(Source);
    return;
  }
  FElements->Assign(s->FElements.get());
  FProperties->Assign(s->FProperties.get());
}

void TdxSkinControlGroup::DataRead(TStream* AStream, double AVersion) {
  FElements->DataRead(AStream, AVersion);
  FProperties->DataRead(AStream, AVersion);
}

void TdxSkinControlGroup::DataWrite(TStream* AStream) {
  FElements->DataWrite(AStream);
  FProperties->DataWrite(AStream);
}

void TdxSkinControlGroup::FlushCache() {
  TdxSkinPersistent::FlushCache();
  FElements->FlushCache();
}

void TdxSkinControlGroup::Clear() {
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  TdxSkinPersistent::Clear();
  FElements->Clear();
}

void TdxSkinControlGroup::Sort(bool ASortChildren) {
  TdxSkinPersistent::Sort(ASortChildren);
  FElements->Sort(ASortChildren);
}

void TdxSkinControlGroup::Dormant() {
  for (int32_t i = 0; i < Count(); ++i) FElements->Items(i)->Dormant();
}

TdxSkinElement* TdxSkinControlGroup::AddElement(const String& AName) {
  return FElements->Add(AName, TdxSkinElement::StaticClass());
}

TdxSkinElement* TdxSkinControlGroup::AddElementEx(const String& AName, TClass AElementClass) {
  return FElements->Add(AName, AElementClass);
}

TdxSkinElement* TdxSkinControlGroup::Elements(int32_t AIndex) const {
  if (AIndex < 0 || AIndex >= Count())
    throw EListError(u"List index out of bounds (" + IntToStr(AIndex) + u")");
  return FElements->Items(AIndex);
}

void TdxSkinControlGroup::SetElement(int32_t AIndex, TdxSkinElement* AElement) {
  Elements(AIndex)->Assign(AElement);
}

TdxSkinElement* TdxSkinControlGroup::GetElementByName(const String& AName) {
  TdxSkinElement* element = nullptr;
  return GetElementByName(AName, element) ? element : nullptr;
}

bool TdxSkinControlGroup::GetElementByName(const String& AName, TdxSkinElement*& AElement) {
  TdxSkinCustomObject* object = nullptr;
  const bool found = FElements->Find(AName, object);
  AElement = static_cast<TdxSkinElement*>(object);
  return found;
}

void TdxSkinControlGroup::Delete(int32_t AIndex) {
  FElements->Delete(AIndex);
}

void TdxSkinControlGroup::RemoveElement(TdxSkinElement* AElement) {
  FElements->Remove(AElement);
}

void TdxSkinControlGroup::RemoveElementByName(const String& AName) {
  if (TdxSkinElement* element = GetElementByName(AName)) RemoveElement(element);
}

void TdxSkinControlGroup::ExchangeElements(int32_t AIndex1, int32_t AIndex2) {
  FElements->Exchange(AIndex1, AIndex2);
}

void TdxSkinControlGroup::ClearModified() {
  FModified = false;
  for (int32_t i = 0; i < Count(); ++i) FElements->Items(i)->SetModified(false);
}

bool TdxSkinControlGroup::HasMissingElements() {
  if (FState.Contains(sosUnassigned)) return true;
  for (int32_t i = 0; i < Count(); ++i)
    if (FElements->Items(i)->State().Contains(sosUnassigned)) return true;
  return false;
}

TdxSkin* TdxSkinControlGroup::Skin() const {
  return dynamic_cast<TdxSkin*>(FOwner);
}

}  // namespace qd
