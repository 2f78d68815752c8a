// The skin, its palettes and listeners, its stored form, the container writer and reader,
// and the unit's start-up.
#include <algorithm>
#include <limits>

#include "platform/base/scopeexit.h"
#include "platform/base/strings.h"
#include "ui/graphics/dxGDIPlusAPI.h"
#include "ui/skins/dxSkinsCore.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxSkin)

namespace {

constexpr double kSkinStreamPalettesVersion = 1.15;
constexpr const Char* kSkinDefaultPaletteName = u"Default";

TdxSkinEmptyElement* gSkinEmptyElement = nullptr;

// The details record's path for streams older than its own layout.
void SkinLoadOldFormatDetails(TdxSkinDetails* ADetails, TStream* AStream) {
  TdxSkin skin(String(), false, nullptr);
  skin.LoadFromStream(AStream);
  ADetails->Assign(skin.Details());
}

}  // namespace

TdxSkinEmptyElement* dxSkinEmptyElement() {
  return gSkinEmptyElement;
}

// ---- TdxSkin --------------------------------------------------------------------------------

TdxSkin::TdxSkin(const String& AName, bool ALoadOnCreate, HINSTANCE AInstance) : TdxSkinPersistent(nullptr) {
  FDetails = std::make_unique<TdxSkinDetails>();
  FDetails->SetName(AName);
  FDetails->OnChange = MakeMethod(this, &TdxSkin::DetailsChanged);
  FColors = std::make_unique<TdxSkinColors>(this, MakeMethod(this, &TdxSkinPersistent::SubItemChanged));
  FGroups =
      std::make_unique<TdxSkinControlGroups>(this, MakeMethod(this, &TdxSkinPersistent::SubItemChanged));
  FColorPalette = std::make_unique<TdxSkinGeneralColorPalette>(this, kSkinDefaultPaletteName);
  FColorPalettes = std::make_unique<TdxSkinColorPalettes>(this, u"ColorPalettes");
  FColorPalettes->OnChange = MakeMethod(this, &TdxSkin::PalettesChanged);
  if (ALoadOnCreate) {
    try {
      LoadFromResource(AInstance);
    } catch (...) {
      FreeParts();
      throw;
    }
  }
}

TdxSkin::~TdxSkin() {
  FreeParts();
}

void TdxSkin::FreeParts() {
  FDestroying = true;
  OnChange = nullptr;
  if (FColorPalettes) FColorPalettes->OnChange = nullptr;
  FColorPalettes.reset();
  FColorPalette.reset();
  if (FDetails) FDetails->OnChange = nullptr;
  FDetails.reset();
  FListeners.clear();
  if (FColors) FColors->OnChange = nullptr;
  FColors.reset();
  if (FGroups) FGroups->OnChange = nullptr;
  FGroups.reset();
  if (FProperties) FProperties->OnChange = nullptr;
  FProperties.reset();
}

void TdxSkin::AssignCore(TPersistent* Source) {
  auto* s = dynamic_cast<TdxSkin*>(Source);
  if (!s) {
    TdxSkinPersistent::AssignCore(Source);
    return;
  }
  FDetails->Assign(s->FDetails.get());
  FColors->Assign(s->FColors.get());
  FGroups->Assign(s->FGroups.get());
  FColorPalettes->Assign(s->FColorPalettes.get());
  FColorPalette->Assign(s->FColorPalette.get());
  FProperties->Assign(s->FProperties.get());
}

void TdxSkin::DoChanged(TdxSkinChanges AChanges) {
  if (FDestroying) return;
  FlushCache();
  NotifyListeners(AChanges);
  TdxSkinPersistent::DoChanged(AChanges);
}

void TdxSkin::FlushCache() {
  TdxSkinPersistent::FlushCache();
  FColorPalette->FlushCache();
  FColors->FlushCache();
  FGroups->FlushCache();
}

void TdxSkin::NotifyListeners(TdxSkinChanges AChanges) {
  if (FListeners.empty()) return;
  BeginUpdate();
  ScopeExit cancel{[this] { CancelUpdate(); }};
  // A listener may add or remove listeners while it is told.
  const std::vector<IdxSkinListener*> listeners = FListeners;
  for (IdxSkinListener* listener : listeners) {
    if (FDestroying) break;
    if (std::find(FListeners.begin(), FListeners.end(), listener) == FListeners.end()) continue;
    if (auto* setListener = dynamic_cast<IdxSkinChangeSetListener*>(listener))
      setListener->SkinChanged(this, AChanges);
    else if (auto* plain = dynamic_cast<IdxSkinChangeListener*>(listener))
      plain->SkinChanged(this);
  }
}

void TdxSkin::Clear() {
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  FProperties->Clear();
  FDetails->Clear();
  FColorPalettes->Clear();
  FGroups->Clear();
  FColors->Clear();
}

void TdxSkin::DeleteProperty(TdxSkinProperty* AProperty) {
  if (!FProperties->Remove(AProperty)) FColors->Remove(AProperty);
}

void TdxSkin::Sort(bool ASortChildren) {
  FProperties->Sort(ASortChildren);
  FColorPalettes->Properties()->Sort(ASortChildren);
  FGroups->Sort(ASortChildren);
  FColors->Sort(ASortChildren);
}

void TdxSkin::LoadFromResource(HINSTANCE AInstance) {
  TResourceStream stream(AInstance, Name(), u"DXSKINS");
  LoadFromStream(&stream);
}

std::unique_ptr<TdxSkin> TdxSkin::Clone() {
  auto skin = std::make_unique<TdxSkin>(Name(), false, nullptr);
  skin->Assign(this);
  return skin;
}

void TdxSkin::DeleteGroup(TdxSkinControlGroup* AGroup) {
  FGroups->Remove(AGroup);
}

void TdxSkin::Dormant() {
  for (int32_t i = 0; i < GroupCount(); ++i) FGroups->Items(i)->Dormant();
}

void TdxSkin::LoadFromStream(TStream* AStream) {
  if (!CheckGdiPlus()) return;
  double version = 0;
  if (!dxSkinCheckSignature(AStream, version)) throw EdxSkinError(u"Invalid stream format");
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  Clear();
  FDetails->DataRead(AStream, version);
  FColors->DataRead(AStream, version);
  FProperties->DataRead(AStream, version);
  FGroups->DataRead(AStream, version);
  if (!(version < kSkinStreamPalettesVersion)) FColorPalettes->DataRead(AStream, version);
}

void TdxSkin::SaveToStream(TStream* AStream) {
  dxSkinWriteSignature(AStream, dxSkinStreamVersion);
  FDetails->DataWrite(AStream);
  FColors->DataWrite(AStream);
  FProperties->DataWrite(AStream);
  FGroups->DataWrite(AStream);
  FColorPalettes->DataWrite(AStream);
}

void TdxSkin::LoadFromFile(const String& AFileName) {
  TFileStream stream(AFileName, fmOpenRead | fmShareDenyNone);
  LoadFromStream(&stream);
}

void TdxSkin::SaveToFile(const String& AFileName) {
  TFileStream stream(AFileName, fmCreate);
  SaveToStream(&stream);
}

void TdxSkin::LoadFromBinaryStream(TStream* AStream) {
  TdxSkinBinaryReader reader(AStream);
  if (reader.Count() > 0) reader.LoadSkin(this, 0);
}

void TdxSkin::LoadFromBinaryFile(const String& AFileName) {
  TFileStream stream(AFileName, fmOpenRead | fmShareDenyNone);
  LoadFromBinaryStream(&stream);
}

void TdxSkin::SaveToBinaryStream(TStream* AStream) {
  TdxSkinBinaryWriter writer(AStream);
  writer.AddSkin(this);
}

void TdxSkin::SaveToBinaryFile(const String& AFileName) {
  TFileStream stream(AFileName, fmCreate);
  SaveToBinaryStream(&stream);
}

TdxSkinColor* TdxSkin::AddColor(const String& AName, TColor AColor) {
  return FColors->Add(AName, AColor);
}

TdxSkinControlGroup* TdxSkin::AddGroup(const String& AName) {
  return FGroups->Add(AName);
}

TdxSkinColor* TdxSkin::GetColorByName(const String& AName) {
  TdxSkinColor* color = nullptr;
  return GetColorByName(AName, color) ? color : nullptr;
}

bool TdxSkin::GetColorByName(const String& AName, TdxSkinColor*& AColor) {
  TdxSkinProperty* p = nullptr;
  AColor = FColors->FindProperty(AName, p) ? dynamic_cast<TdxSkinColor*>(p) : nullptr;
  return AColor != nullptr;
}

TdxSkinControlGroup* TdxSkin::GetGroupByName(const String& AName) {
  TdxSkinControlGroup* group = nullptr;
  return GetGroupByName(AName, group) ? group : nullptr;
}

bool TdxSkin::GetGroupByName(const String& AName, TdxSkinControlGroup*& AGroup) {
  TdxSkinCustomObject* object = nullptr;
  const bool found = FGroups->Find(AName, object);
  AGroup = static_cast<TdxSkinControlGroup*>(object);
  return found;
}

TdxSkinColor* TdxSkin::Colors(int32_t AIndex) const {
  return static_cast<TdxSkinColor*>(FColors->Items(AIndex));
}

TdxSkinControlGroup* TdxSkin::Groups(int32_t AIndex) const {
  if (AIndex < 0 || AIndex >= GroupCount())
    throw EListError(u"List index out of bounds (" + IntToStr(AIndex) + u")");
  return FGroups->Items(AIndex);
}

void TdxSkin::ClearModified() {
  FModified = false;
  for (int32_t i = 0; i < GroupCount(); ++i) FGroups->Items(i)->ClearModified();
}

bool TdxSkin::HasMissingElements() {
  for (int32_t i = 0; i < GroupCount(); ++i)
    if (FGroups->Items(i)->HasMissingElements()) return true;
  return false;
}

void TdxSkin::AddListener(IdxSkinListener* AListener) {
  if (AListener && std::find(FListeners.begin(), FListeners.end(), AListener) == FListeners.end())
    FListeners.push_back(AListener);
}

void TdxSkin::RemoveListener(IdxSkinListener* AListener) {
  auto it = std::find(FListeners.begin(), FListeners.end(), AListener);
  if (it != FListeners.end()) FListeners.erase(it);
}

void TdxSkin::SetActiveColorPaletteName(const String& AValue) {
  if (AValue != ActiveColorPaletteName()) SelectColorPalette(AValue);
}

void TdxSkin::SelectColorPalette(const String& AName) {
  TdxSkinColorPalette* palette = nullptr;
  if (!FColorPalettes->FindPalette(AName, palette) &&
      !FColorPalettes->FindPalette(kSkinDefaultPaletteName, palette) && FColorPalettes->Count() > 0)
    palette = FColorPalettes->Palettes(0);
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  if (palette) {
    FColorPalette->Assign(palette);
  } else {
    FColorPalette->Clear();
    FColorPalette->SetName(kSkinDefaultPaletteName);
  }
  Changed({scContent});
}

void TdxSkin::PalettesChanged(TObject*, TdxSkinChanges AChanges) {
  if (FDestroying) return;
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  SelectColorPalette(ActiveColorPaletteName());
  Changed(AChanges);
}

IdxColorPalette* TdxSkin::GetGlyphColorPalette(TdxSkinElementState AState) {
  if (auto* palettes = dynamic_cast<TdxSkinColorPalettes*>(GetPropertyByName(u"DefaultGlyphColorPalettes"))) {
    TdxSkinColorPalette* palette = nullptr;
    if (palettes->FindPalette(dxSkinElementStateNames[AState], palette) ||
        (AState != esNormal && palettes->FindPalette(u"Normal", palette)))
      return palette;
  }
  return FColorPalette.get();
}

String TdxSkin::DisplayName() const {
  return FDetails->DisplayName().empty() ? FDetails->Name() : FDetails->DisplayName();
}

bool TdxSkin::GetColor(const String& AName, TColor& AColor) {
  TdxSkinColor* color = nullptr;
  if (!FColorPalette || !FColorPalette->FindColor(AName, color)) return false;
  AColor = color->Value();
  return true;
}

// ---- TdxSkinBinaryWriter --------------------------------------------------------------------

TdxSkinBinaryWriter::TdxSkinBinaryWriter(TStream* AStream)
    : FStream(AStream), FHeaderOffset(AStream->Position()) {
  WriteHeader();
}

TdxSkinBinaryWriter::~TdxSkinBinaryWriter() {
  try {
    const int64_t end = FStream->Position();
    FStream->SetPosition(FHeaderOffset);
    WriteHeader();
    // Behind the last skin, so that further writes do not overwrite the first one.
    FStream->SetPosition(std::max(end, FStream->Position()));
  } catch (...) {
    // A destructor cannot report the failure; the container is left with its old count.
  }
}

void TdxSkinBinaryWriter::WriteHeader() {
  dxSkinWriteSignature(FStream, dxSkinStreamVersion);
  dxSkinWriteIntegerToStream(FStream, FCount);
}

void TdxSkinBinaryWriter::AddSkin(TdxSkin* ASkin) {
  ++FCount;
  const int64_t sizePosition = FStream->Position();
  dxSkinWriteIntegerToStream(FStream, 0);
  ASkin->SaveToStream(FStream);
  const int64_t size = FStream->Position() - sizePosition - 4;
  if (size > std::numeric_limits<int32_t>::max()) throw EWriteError(u"Stream write error");
  FStream->SetPosition(sizePosition);
  dxSkinWriteIntegerToStream(FStream, static_cast<int32_t>(size));
  FStream->SetPosition(sizePosition + 4 + size);
}

// ---- TdxSkinBinaryReader --------------------------------------------------------------------

TdxSkinBinaryReader::TdxSkinBinaryReader(TStream* AStream) : FStream(AStream) {
  const int64_t start = AStream->Position();
  if (ReadContainer(start)) return;
  AStream->SetPosition(start);
  auto details = std::make_unique<TdxSkinDetails>();
  if (details->LoadFromStream(AStream)) FSkins.push_back(std::move(details));
}

bool TdxSkinBinaryReader::ReadContainer(int64_t AStart) {
  FStream->SetPosition(AStart);
  double version = 0;
  if (!dxSkinCheckSignature(FStream, version)) return false;
  int32_t count = 0;
  if (FStream->Read(&count, sizeof(count)) != sizeof(count)) return false;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t size = dxSkinReadIntegerFromStream(FStream);
    const int64_t position = FStream->Position();
    // A skin stream holds at least its header and lies inside the stream.
    if (size < dxSkinHeaderSize || size > FStream->Size() - position) return false;
    auto details = std::make_unique<TdxSkinDetails>();
    if (!details->LoadFromStream(FStream)) return false;
    FSkins.push_back(std::move(details));
    FStream->SetPosition(position + size);
  }
  return true;
}

int32_t TdxSkinBinaryReader::IndexOf(const String& AName) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (SameText(SkinName(i), AName)) return i;
  return -1;
}

bool TdxSkinBinaryReader::LoadSkin(TdxSkin* ASkin, int32_t AIndex) {
  if (AIndex < 0 || AIndex >= Count()) return false;
  FStream->SetPosition(SkinOffset(AIndex));
  ASkin->LoadFromStream(FStream);
  return true;
}

bool TdxSkinBinaryReader::LoadSkin(TdxSkin* ASkin, const String& AName) {
  return LoadSkin(ASkin, AName.empty() ? 0 : IndexOf(AName));
}

// ---- Start-up -------------------------------------------------------------------------------

namespace dxSkinsCore {

namespace {

TClass SkinAssistantClass(int AIndex) {
  const TClass classes[] = {TdxSkinControlGroup::StaticClass(), TdxSkinElement::StaticClass(),
                            TdxSkinImage::StaticClass(), TdxSkinColorPalette::StaticClass(),
                            TdxSkinAlphaColor::StaticClass()};
  return AIndex < static_cast<int>(std::size(classes)) ? classes[AIndex] : nullptr;
}

// In the order of registration.
TClass SkinPropertyClass(int AIndex) {
  const TClass classes[] = {TdxSkinAlternateImageAttributes::StaticClass(),
                            TdxSkinBooleanProperty::StaticClass(),
                            TdxSkinColor::StaticClass(),
                            TdxSkinColorPalettes::StaticClass(),
                            TdxSkinIntegerProperty::StaticClass(),
                            TdxSkinRectProperty::StaticClass(),
                            TdxSkinSizeProperty::StaticClass(),
                            TdxSkinStringProperty::StaticClass(),
                            TdxSkinWideStringProperty::StaticClass()};
  return AIndex < static_cast<int>(std::size(classes)) ? classes[AIndex] : nullptr;
}

}  // namespace

void Initialize() {
  gSkinEmptyElement = new TdxSkinEmptyElement(nullptr);
  for (int i = 0; TClass cls = SkinAssistantClass(i); ++i) RegisterClass(cls);
  for (int i = 0; TClass cls = SkinPropertyClass(i); ++i) TdxSkinProperty::Register(cls);
  dxSkinDetailsOldFormatLoader = &SkinLoadOldFormatDetails;
  if (CheckGdiPlus()) CheckPngCodec();
}

void Finalize() {
  dxSkinDetailsOldFormatLoader = nullptr;
  for (int i = 0; TClass cls = SkinAssistantClass(i); ++i) UnRegisterClass(cls);
  for (int i = 0; TClass cls = SkinPropertyClass(i); ++i) TdxSkinProperty::Unregister(cls);
  delete gSkinEmptyElement;
  gSkinEmptyElement = nullptr;
}

}  // namespace dxSkinsCore

}  // namespace qd
