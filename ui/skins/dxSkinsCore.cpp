// The base objects, colour values, named lists and property classes of the skin model.
#include "ui/skins/dxSkinsCore.h"

#include <algorithm>
#include <limits>

#include "platform/base/scopeexit.h"
#include "platform/base/strings.h"
#include "platform/os/nls.h"
#include "ui/graphics/dxCoreGraphicsAlphaColors.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxSkinCustomObject)
QD_IMPLEMENT_CLASS(TdxSkinPersistent)
QD_IMPLEMENT_CLASS(TdxSkinCustomObjectList)
QD_IMPLEMENT_CLASS(TdxSkinProperty)
QD_IMPLEMENT_CLASS(TdxSkinIntegerProperty)
QD_IMPLEMENT_CLASS(TdxSkinBooleanProperty)
QD_IMPLEMENT_CLASS(TdxSkinColor)
QD_IMPLEMENT_CLASS(TdxSkinAlphaColor)
QD_IMPLEMENT_CLASS(TdxSkinRectProperty)
QD_IMPLEMENT_CLASS(TdxSkinSizeProperty)
QD_IMPLEMENT_CLASS(TdxSkinStringProperty)
QD_IMPLEMENT_CLASS(TdxSkinWideStringProperty)
QD_IMPLEMENT_CLASS(TdxSkinBorder)
QD_IMPLEMENT_CLASS(TdxSkinBorders)
QD_IMPLEMENT_CLASS(TdxSkinAlternateImageAttributes)
QD_IMPLEMENT_CLASS(TdxSkinCustomListProperty)
QD_IMPLEMENT_CLASS(TdxSkinColorPalette)
QD_IMPLEMENT_CLASS(TdxSkinGeneralColorPalette)
QD_IMPLEMENT_CLASS(TdxSkinColorPalettes)
QD_IMPLEMENT_CLASS(TdxSkinProperties)
QD_IMPLEMENT_CLASS(TdxSkinColors)

const Char* const dxSkinElementStateNames[dxSkinElementStateCount] = {
    u"Normal",      u"Hot",     u"Pressed",  u"Disabled",       u"Active",      u"Focused",
    u"DroppedDown", u"Checked", u"HotCheck", u"ActiveDisabled", u"CheckPressed"};
const Char* const dxSkinElementTextColorPropertyNames[5] = {u"", u"TextColor", u"TextColorHot",
                                                            u"TextColorPressed", u"TextColorDisabled"};
const Char* const BorderNames[4] = {u"Left", u"Top", u"Right", u"Bottom"};

namespace {

constexpr double kSkinColorReferenceVersion = 1.15;
constexpr double kSkinBorderNamesLastVersion = 1.09;
constexpr TdxAlphaColor kSkinDefaultAlphaColor = 0x00010203;
// Palette references may lead in a circle; past this depth a colour takes its default.
constexpr int kSkinMaxReferenceDepth = 32;
// Every item of a stored list takes at least this many bytes.
constexpr int64_t kSkinMinListItemSize = 4;

thread_local int gSkinReferenceDepth = 0;

std::vector<TClass>*& SkinRegisteredPropertyTypes() {
  static std::vector<TClass>* types = nullptr;
  return types;
}

}  // namespace

// ---- Primitives -----------------------------------------------------------------------------

TColor dxSkinReadColorFromStream(TStream* AStream) {
  return dxSkinReadIntegerFromStream(AStream);
}

void dxSkinWriteColorToStream(TStream* AStream, TColor AValue) {
  dxSkinWriteIntegerToStream(AStream, AValue);
}

uint8_t dxSkinReadByteFromStream(TStream* AStream) {
  uint8_t value = 0;
  AStream->ReadBufferData(value);
  return value;
}

void dxSkinWriteByteToStream(TStream* AStream, uint8_t AValue) {
  AStream->WriteBufferData(AValue);
}

TRect dxSkinReadRectFromStream(TStream* AStream) {
  TRect r;
  r.Left = dxSkinReadIntegerFromStream(AStream);
  r.Top = dxSkinReadIntegerFromStream(AStream);
  r.Right = dxSkinReadIntegerFromStream(AStream);
  r.Bottom = dxSkinReadIntegerFromStream(AStream);
  return r;
}

void dxSkinWriteRectToStream(TStream* AStream, const TRect& R) {
  dxSkinWriteIntegerToStream(AStream, R.Left);
  dxSkinWriteIntegerToStream(AStream, R.Top);
  dxSkinWriteIntegerToStream(AStream, R.Right);
  dxSkinWriteIntegerToStream(AStream, R.Bottom);
}

TdxSkinGradientMode dxSkinReadGradientModeFromStream(TStream* AStream) {
  const uint8_t value = dxSkinReadByteFromStream(AStream);
  return value <= gmBackwardDiagonal ? static_cast<TdxSkinGradientMode>(value) : gmHorizontal;
}

int dxSkinCompareNames(const String& A, const String& B) {
  const int result = CompareStringW(LOCALE_USER_DEFAULT, 0, reinterpret_cast<const WCHAR*>(A.data()),
                                    static_cast<int>(A.size()), reinterpret_cast<const WCHAR*>(B.data()),
                                    static_cast<int>(B.size()));
  return result == 0 ? CompareStr(A, B) : result - 2;
}

// ---- TdxSkinColorValue ----------------------------------------------------------------------

TdxSkinColorValue::TdxSkinColorValue(TdxSkinCustomObject* AOwner, TColor ADefaultValue)
    : DefaultValue(ADefaultValue), Owner(AOwner), Value(ADefaultValue) {}

TColor TdxSkinColorValue::GetValue() {
  if (Value != dxSkinColorToBeResolved) return Value;
  TColor resolved = DefaultValue;
  if (!ValueReference.empty() && gSkinReferenceDepth < kSkinMaxReferenceDepth) {
    IdxSkinColorPalette* palette = nullptr;
    for (TPersistent* p = Owner; p && !palette; p = p->GetOwner())
      palette = dynamic_cast<IdxSkinColorPalette*>(p);
    if (palette) {
      ++gSkinReferenceDepth;
      ScopeExit leave{[] { --gSkinReferenceDepth; }};
      TColor color;
      if (palette->GetColor(ValueReference, color)) resolved = color;
    }
  }
  Value = resolved;
  return Value;
}

void TdxSkinColorValue::SetValue(TColor AValue) {
  if (AValue == Value && ValueReference.empty()) return;
  Value = AValue;
  ValueReference.clear();
  Announce();
}

void TdxSkinColorValue::SetValueReference(const String& AValue) {
  if (AValue == ValueReference) return;
  if (!AValue.empty()) {
    ValueReference = AValue;
  } else {
    GetValue();
    ValueReference.clear();
  }
  Announce();
}

void TdxSkinColorValue::Announce() {
  if (!ValueReference.empty()) Value = dxSkinColorToBeResolved;
  if (Owner) Owner->Changed({scContent});
}

void TdxSkinColorValue::FlushCache() {
  if (!ValueReference.empty()) Value = dxSkinColorToBeResolved;
}

void TdxSkinColorValue::Assign(const TdxSkinColorValue& ASource) {
  if (ASource.Value == Value && ASource.ValueReference == ValueReference) return;
  Value = ASource.Value;
  ValueReference = ASource.ValueReference;
  Announce();
}

bool TdxSkinColorValue::Compare(const TdxSkinColorValue& AValue) const {
  return Value == AValue.Value && ValueReference == AValue.ValueReference;
}

void TdxSkinColorValue::ReadFromStream(TStream* AStream, double AVersion) {
  Value = dxSkinReadColorFromStream(AStream);
  ValueReference.clear();
  if (!(AVersion < kSkinColorReferenceVersion)) {
    ValueReference = dxSkinReadStringFromStream(AStream);
    if (!ValueReference.empty()) Value = dxSkinColorToBeResolved;
  }
}

void TdxSkinColorValue::WriteToStream(TStream* AStream) const {
  dxSkinWriteColorToStream(AStream, Value);
  dxSkinWriteStringToStream(AStream, ValueReference);
}

// ---- TdxSkinCustomObject --------------------------------------------------------------------

TdxSkinCustomObject::TdxSkinCustomObject(TPersistent* AOwner, const String& AName)
    : FName(AName), FOwner(AOwner) {}

void TdxSkinCustomObject::Assign(TPersistent* Source) {
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  AssignCore(Source);
}

void TdxSkinCustomObject::AssignCore(TPersistent* Source) {
  TPersistent::Assign(Source);
}

void TdxSkinCustomObject::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Changed(FChanges);
}

void TdxSkinCustomObject::CancelUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  FChanges = {};
}

void TdxSkinCustomObject::Changed(TdxSkinChanges AChanges) {
  FChanges += AChanges;
  if (FUpdateCount > 0) return;
  const TdxSkinChanges changes = FChanges;
  FChanges = {};
  DoChanged(changes);
}

void TdxSkinCustomObject::DoChanged(TdxSkinChanges AChanges) {
  if (OnChange && !AChanges.Empty()) OnChange(this, AChanges);
}

void TdxSkinCustomObject::SetName(const String& AValue) {
  if (AValue == FName) return;
  FName = AValue;
  Changed({scStruct});
}

// ---- TdxSkinPersistent ----------------------------------------------------------------------

TdxSkinPersistent::TdxSkinPersistent(TPersistent* AOwner, const String& AName)
    : TdxSkinCustomObject(AOwner, AName),
      FProperties(
          std::make_unique<TdxSkinProperties>(this, MakeMethod(this, &TdxSkinPersistent::SubItemChanged))) {}

TdxSkinPersistent::~TdxSkinPersistent() = default;

void TdxSkinPersistent::Changed(TdxSkinChanges AChanges) {
  FModified = true;
  TdxSkinCustomObject::Changed(AChanges);
}

void TdxSkinPersistent::FlushCache() {
  FProperties->FlushCache();
}

void TdxSkinPersistent::Clear() {
  FProperties->Clear();
}

void TdxSkinPersistent::DeleteProperty(TdxSkinProperty* AProperty) {
  FProperties->Remove(AProperty);
}

void TdxSkinPersistent::DeleteProperty(const String& AName) {
  if (TdxSkinProperty* p = GetPropertyByName(AName)) DeleteProperty(p);
}

void TdxSkinPersistent::Sort(bool ASortChildren) {
  FProperties->Sort(ASortChildren);
}

TdxSkinProperty* TdxSkinPersistent::AddProperty(const String& AName, TClass AClass) {
  return FProperties->Add(AName, AClass);
}

TdxSkinProperty* TdxSkinPersistent::AddPropertyBool(const String& AName, bool AValue) {
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  auto* p = static_cast<TdxSkinBooleanProperty*>(AddProperty(AName, TdxSkinBooleanProperty::StaticClass()));
  p->SetValue(AValue);
  return p;
}

TdxSkinProperty* TdxSkinPersistent::AddPropertyColor(const String& AName, TColor AValue) {
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  auto* p = static_cast<TdxSkinColor*>(AddProperty(AName, TdxSkinColor::StaticClass()));
  p->SetValue(AValue);
  return p;
}

TdxSkinProperty* TdxSkinPersistent::AddPropertyInteger(const String& AName, int32_t AValue) {
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  auto* p = static_cast<TdxSkinIntegerProperty*>(AddProperty(AName, TdxSkinIntegerProperty::StaticClass()));
  p->SetValue(AValue);
  return p;
}

TdxSkinProperty* TdxSkinPersistent::GetPropertyByName(const String& AName) {
  TdxSkinProperty* p = nullptr;
  return FProperties->FindProperty(AName, p) ? p : nullptr;
}

bool TdxSkinPersistent::GetPropertyByName(const String& AName, TdxSkinProperty*& AProperty) {
  return FProperties->FindProperty(AName, AProperty);
}

void TdxSkinPersistent::ExchangeProperty(int32_t AIndex1, int32_t AIndex2) {
  FProperties->Exchange(AIndex1, AIndex2);
}

int32_t TdxSkinPersistent::PropertyCount() const {
  return FProperties->Count();
}

TdxSkinProperty* TdxSkinPersistent::Properties(int32_t AIndex) const {
  return FProperties->Items(AIndex);
}

// ---- TdxSkinCustomObjectList ----------------------------------------------------------------

TdxSkinCustomObjectList::TdxSkinCustomObjectList(TPersistent* AOwner) : FOwner(AOwner) {}

TdxSkinCustomObjectList::TdxSkinCustomObjectList(TPersistent* AOwner,
                                                 const TdxSkinChangeNotify& AChangeHandler)
    : OnChange(AChangeHandler), FOwner(AOwner) {}

TdxSkinCustomObjectList::~TdxSkinCustomObjectList() {
  OnChange = nullptr;
  for (auto& item : FItems) item->OnChange = nullptr;
  // Last first, as the items were added.
  while (!FItems.empty()) FItems.pop_back();
}

void TdxSkinCustomObjectList::Changed(TdxSkinChanges AChanges) {
  if (AChanges.Contains(scStruct)) FSorted = false;
  FChanges += AChanges;
  if (FUpdateCount > 0) return;
  const TdxSkinChanges changes = FChanges;
  FChanges = {};
  if (OnChange && !changes.Empty()) OnChange(this, changes);
}

void TdxSkinCustomObjectList::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Changed(FChanges);
}

TdxSkinCustomObject* TdxSkinCustomObjectList::AddItem(std::unique_ptr<TdxSkinCustomObject> AItem) {
  TdxSkinCustomObject* item = AItem.get();
  item->OnChange = MakeMethod(this, &TdxSkinCustomObjectList::SubItemChanged);
  FItems.push_back(std::move(AItem));
  Changed({scStruct});
  return item;
}

bool TdxSkinCustomObjectList::Find(const String& AName, TdxSkinCustomObject*& AObject) {
  const int32_t index = IndexOf(AName);
  AObject = index >= 0 ? Item(index) : nullptr;
  return AObject != nullptr;
}

int32_t TdxSkinCustomObjectList::IndexOf(const String& AName) {
  if (!FSorted) Sort(false);
  int32_t low = 0;
  int32_t high = Count() - 1;
  while (low <= high) {
    const int32_t middle = low + (high - low) / 2;
    const int c = dxSkinCompareNames(Item(middle)->Name(), AName);
    if (c == 0) return middle;
    if (c < 0)
      low = middle + 1;
    else
      high = middle - 1;
  }
  return -1;
}

int32_t TdxSkinCustomObjectList::IndexOfObject(const TdxSkinCustomObject* AObject) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].get() == AObject) return static_cast<int32_t>(i);
  return -1;
}

void TdxSkinCustomObjectList::Sort(bool ASortChildren) {
  std::stable_sort(FItems.begin(), FItems.end(),
                   [](const auto& a, const auto& b) { return dxSkinCompareNames(a->Name(), b->Name()) < 0; });
  FSorted = true;
  if (ASortChildren) SortChildren();
}

void TdxSkinCustomObjectList::Exchange(int32_t AIndex1, int32_t AIndex2) {
  if (AIndex1 < 0 || AIndex2 < 0 || AIndex1 >= Count() || AIndex2 >= Count())
    throw EListError(u"List index out of bounds");
  std::swap(FItems[static_cast<size_t>(AIndex1)], FItems[static_cast<size_t>(AIndex2)]);
  Changed({scStruct});
}

void TdxSkinCustomObjectList::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  while (!FItems.empty()) {
    std::unique_ptr<TdxSkinCustomObject> item = std::move(FItems.back());
    FItems.pop_back();
    item->OnChange = nullptr;
    item.reset();
  }
  Changed({scStruct});
}

void TdxSkinCustomObjectList::Delete(int32_t AIndex) {
  if (AIndex < 0 || AIndex >= Count()) throw EListError(u"List index out of bounds");
  std::unique_ptr<TdxSkinCustomObject> item = std::move(FItems[static_cast<size_t>(AIndex)]);
  FItems.erase(FItems.begin() + AIndex);
  item->OnChange = nullptr;
  item.reset();
  Changed({scStruct});
}

bool TdxSkinCustomObjectList::Remove(TdxSkinCustomObject* AObject) {
  const int32_t index = IndexOfObject(AObject);
  if (index < 0) return false;
  Delete(index);
  return true;
}

std::unique_ptr<TdxSkinCustomObject> TdxSkinCustomObjectList::Extract(TdxSkinCustomObject* AObject) {
  const int32_t index = IndexOfObject(AObject);
  if (index < 0) return nullptr;
  std::unique_ptr<TdxSkinCustomObject> item = std::move(FItems[static_cast<size_t>(index)]);
  FItems.erase(FItems.begin() + index);
  item->OnChange = nullptr;
  Changed({scStruct});
  return item;
}

void TdxSkinCustomObjectList::DataRead(TStream* AStream, double AVersion) {
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  const int32_t count = dxSkinReadIntegerFromStream(AStream);
  if (count <= 0) return;
  dxSkinCheckBytesLeft(AStream, int64_t{count} * kSkinMinListItemSize);
  for (int32_t i = 0; i < count; ++i) DataReadItem(AStream, AVersion);
}

void TdxSkinCustomObjectList::DataWrite(TStream* AStream) {
  dxSkinWriteIntegerToStream(AStream, Count());
  for (auto& item : FItems) DataWriteItem(AStream, item.get());
}

void TdxSkinCustomObjectList::FlushCache() {
  for (auto& item : FItems) item->FlushCache();
}

// ---- TdxSkinProperties ----------------------------------------------------------------------

TdxSkinProperty* TdxSkinProperties::Add(const String& AName, TClass AClass) {
  return static_cast<TdxSkinProperty*>(AddItem(TdxSkinProperty::CreateProperty(AClass, FOwner, AName)));
}

bool TdxSkinProperties::FindProperty(const String& AName, TdxSkinProperty*& AProperty) {
  TdxSkinCustomObject* object = nullptr;
  const bool found = Find(AName, object);
  AProperty = static_cast<TdxSkinProperty*>(object);
  return found;
}

void TdxSkinProperties::Assign(TdxSkinProperties* ASource) {
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  Clear();
  for (int32_t i = 0; i < ASource->Count(); ++i) {
    TdxSkinProperty* source = ASource->Items(i);
    Add(source->Name(), source->ClassType())->Assign(source);
  }
}

bool TdxSkinProperties::Compare(TdxSkinProperties* AProperties) {
  if (!AProperties || AProperties->Count() != Count()) return false;
  for (int32_t i = 0; i < Count(); ++i)
    if (!Items(i)->Compare(AProperties->Items(i))) return false;
  return true;
}

void TdxSkinProperties::DataReadItem(TStream* AStream, double AVersion) {
  const String className = dxSkinReadStringFromStream(AStream);
  TClass cls = FindClass(StringToUtf8(className));
  if (!cls->InheritsFrom(TdxSkinProperty::StaticClass())) throw EdxSkinError(u"Invalid stream format");
  const String name = dxSkinReadStringFromStream(AStream);
  Add(name, cls)->DataRead(AStream, AVersion);
}

void TdxSkinProperties::DataWriteItem(TStream* AStream, TdxSkinCustomObject* AItem) {
  dxSkinWriteStringToStream(AStream, AItem->ClassName());
  dxSkinWriteStringToStream(AStream, AItem->Name());
  AItem->DataWrite(AStream);
}

TdxSkinColor* TdxSkinColors::Add(const String& AName, TColor AColor) {
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  auto* color = static_cast<TdxSkinColor*>(TdxSkinProperties::Add(AName, TdxSkinColor::StaticClass()));
  color->SetValue(AColor);
  return color;
}

// ---- TdxSkinProperty ------------------------------------------------------------------------

String TdxSkinProperty::Description(TClass AClass) {
  String result = AClass->ClassName();
  for (const String& part : {String(u"TdxSkin"), String(u"Property")}) {
    for (size_t i = 0; i + part.size() <= result.size();) {
      if (SameText(StringView(result).substr(i, part.size()), part))
        result.erase(i, part.size());
      else
        ++i;
    }
  }
  return result;
}

bool TdxSkinProperty::Compare(TdxSkinProperty* AProperty) {
  return AProperty && SameText(Name(), AProperty->Name()) && ClassType() == AProperty->ClassType();
}

void TdxSkinProperty::Register(TClass AClass) {
  auto*& types = SkinRegisteredPropertyTypes();
  if (!types) types = new std::vector<TClass>();
  types->push_back(AClass);
  RegisterClass(AClass);
}

void TdxSkinProperty::Unregister(TClass AClass) {
  UnRegisterClass(AClass);
  auto*& types = SkinRegisteredPropertyTypes();
  if (!types) return;
  auto it = std::find(types->begin(), types->end(), AClass);
  if (it != types->end()) types->erase(it);
  if (types->empty()) {
    delete types;
    types = nullptr;
  }
}

const std::vector<TClass>& TdxSkinProperty::RegisteredPropertyTypes() {
  static const std::vector<TClass> none;
  auto* types = SkinRegisteredPropertyTypes();
  return types ? *types : none;
}

std::unique_ptr<TdxSkinProperty> TdxSkinProperty::CreateProperty(TClass AClass, TPersistent* AOwner,
                                                                 const String& AName) {
  if (!AClass || !AClass->InheritsFrom(TdxSkinProperty::StaticClass()))
    throw EdxSkinError(u"Invalid stream format");
  std::unique_ptr<TObject> object(AClass->Create(AOwner));
  auto* property = dynamic_cast<TdxSkinProperty*>(object.get());
  if (!property) throw EdxSkinError(u"Invalid stream format");
  object.release();
  property->FName = AName;
  return std::unique_ptr<TdxSkinProperty>(property);
}

// ---- Simple properties ----------------------------------------------------------------------

void TdxSkinIntegerProperty::AssignCore(TPersistent* Source) {
  if (auto* s = dynamic_cast<TdxSkinIntegerProperty*>(Source))
    SetValue(s->Value());
  else
    TdxSkinProperty::AssignCore(Source);
}

bool TdxSkinIntegerProperty::Compare(TdxSkinProperty* AProperty) {
  return TdxSkinProperty::Compare(AProperty) &&
         static_cast<TdxSkinIntegerProperty*>(AProperty)->FValue == FValue;
}

void TdxSkinIntegerProperty::DataRead(TStream* AStream, double) {
  SetValue(dxSkinReadIntegerFromStream(AStream));
}

void TdxSkinIntegerProperty::DataWrite(TStream* AStream) {
  dxSkinWriteIntegerToStream(AStream, FValue);
}

void TdxSkinIntegerProperty::SetValue(int32_t AValue) {
  if (AValue == FValue) return;
  FValue = AValue;
  Changed({scContent});
}

void TdxSkinBooleanProperty::AssignCore(TPersistent* Source) {
  if (auto* s = dynamic_cast<TdxSkinBooleanProperty*>(Source))
    SetValue(s->Value());
  else
    TdxSkinProperty::AssignCore(Source);
}

bool TdxSkinBooleanProperty::Compare(TdxSkinProperty* AProperty) {
  return TdxSkinProperty::Compare(AProperty) &&
         static_cast<TdxSkinBooleanProperty*>(AProperty)->FValue == FValue;
}

void TdxSkinBooleanProperty::DataRead(TStream* AStream, double) {
  SetValue(dxSkinReadByteFromStream(AStream) != 0);
}

void TdxSkinBooleanProperty::DataWrite(TStream* AStream) {
  dxSkinWriteByteToStream(AStream, FValue ? 1 : 0);
}

void TdxSkinBooleanProperty::SetValue(bool AValue) {
  if (AValue == FValue) return;
  FValue = AValue;
  Changed({scContent});
}

TdxSkinColor::TdxSkinColor(TPersistent* AOwner, const String& AName)
    : TdxSkinProperty(AOwner, AName), FValue(this, clDefault) {}

void TdxSkinColor::AssignCore(TPersistent* Source) {
  if (auto* s = dynamic_cast<TdxSkinColor*>(Source))
    FValue.Assign(s->FValue);
  else
    TdxSkinProperty::AssignCore(Source);
}

bool TdxSkinColor::Compare(TdxSkinProperty* AProperty) {
  return TdxSkinProperty::Compare(AProperty) && static_cast<TdxSkinColor*>(AProperty)->FValue.Compare(FValue);
}

void TdxSkinColor::DataRead(TStream* AStream, double AVersion) {
  FValue.ReadFromStream(AStream, AVersion);
  Changed({scContent});
}

void TdxSkinColor::DataWrite(TStream* AStream) {
  FValue.WriteToStream(AStream);
}

TdxAlphaColor TdxSkinColor::GetValueAsAlphaColor() {
  return dxColorToAlphaColor(Value(), 255);
}

void TdxSkinAlphaColor::AssignCore(TPersistent* Source) {
  TdxSkinColor::AssignCore(Source);
  if (auto* s = dynamic_cast<TdxSkinAlphaColor*>(Source)) SetValueAlpha(s->ValueAlpha());
}

bool TdxSkinAlphaColor::Compare(TdxSkinProperty* AProperty) {
  return TdxSkinColor::Compare(AProperty) &&
         static_cast<TdxSkinAlphaColor*>(AProperty)->FValueAlpha == FValueAlpha;
}

void TdxSkinAlphaColor::DataRead(TStream* AStream, double AVersion) {
  TdxSkinColor::DataRead(AStream, AVersion);
  SetValueAlpha(static_cast<uint8_t>(dxSkinReadIntegerFromStream(AStream) & 0xFF));
}

void TdxSkinAlphaColor::DataWrite(TStream* AStream) {
  TdxSkinColor::DataWrite(AStream);
  dxSkinWriteIntegerToStream(AStream, FValueAlpha);
}

TdxAlphaColor TdxSkinAlphaColor::GetValueAsAlphaColor() {
  return dxColorToAlphaColor(Value(), FValueAlpha);
}

void TdxSkinAlphaColor::SetValueAlpha(uint8_t AValue) {
  if (AValue == FValueAlpha) return;
  FValueAlpha = AValue;
  Changed({scContent});
}

TdxSkinRectProperty::TdxSkinRectProperty(TPersistent* AOwner, const String& AName)
    : TdxSkinProperty(AOwner, AName), FValue(std::make_unique<TcxRect>(this)) {
  FValue->SetOnChange(MakeMethod(this, &TdxSkinRectProperty::ValueChanged));
}

TdxSkinRectProperty::~TdxSkinRectProperty() {
  FValue->SetOnChange(nullptr);
}

void TdxSkinRectProperty::ValueChanged(TObject*) {
  Changed({scContent});
}

void TdxSkinRectProperty::AssignCore(TPersistent* Source) {
  if (auto* s = dynamic_cast<TdxSkinRectProperty*>(Source))
    FValue->SetRect(s->Value()->Rect());
  else
    TdxSkinProperty::AssignCore(Source);
}

bool TdxSkinRectProperty::Compare(TdxSkinProperty* AProperty) {
  return TdxSkinProperty::Compare(AProperty) &&
         static_cast<TdxSkinRectProperty*>(AProperty)->FValue->IsEqual(FValue.get());
}

void TdxSkinRectProperty::DataRead(TStream* AStream, double) {
  FValue->SetRect(dxSkinReadRectFromStream(AStream));
}

void TdxSkinRectProperty::DataWrite(TStream* AStream) {
  dxSkinWriteRectToStream(AStream, FValue->Rect());
}

void TdxSkinSizeProperty::AssignCore(TPersistent* Source) {
  if (auto* s = dynamic_cast<TdxSkinSizeProperty*>(Source))
    SetValue(s->Value());
  else
    TdxSkinProperty::AssignCore(Source);
}

bool TdxSkinSizeProperty::Compare(TdxSkinProperty* AProperty) {
  return TdxSkinProperty::Compare(AProperty) &&
         static_cast<TdxSkinSizeProperty*>(AProperty)->FValue == FValue;
}

void TdxSkinSizeProperty::DataRead(TStream* AStream, double) {
  TSize size;
  size.cx = dxSkinReadIntegerFromStream(AStream);
  size.cy = dxSkinReadIntegerFromStream(AStream);
  SetValue(size);
}

void TdxSkinSizeProperty::DataWrite(TStream* AStream) {
  dxSkinWriteIntegerToStream(AStream, FValue.cx);
  dxSkinWriteIntegerToStream(AStream, FValue.cy);
}

void TdxSkinSizeProperty::SetValue(const TSize& AValue) {
  if (AValue == FValue) return;
  FValue = AValue;
  Changed({scContent});
}

void TdxSkinSizeProperty::SetValueByIndex(int32_t AIndex, int32_t AValue) {
  TSize size = FValue;
  (AIndex == 0 ? size.cx : size.cy) = AValue;
  SetValue(size);
}

void TdxSkinStringProperty::AssignCore(TPersistent* Source) {
  if (auto* s = dynamic_cast<TdxSkinStringProperty*>(Source))
    SetValue(s->Value());
  else
    TdxSkinProperty::AssignCore(Source);
}

bool TdxSkinStringProperty::Compare(TdxSkinProperty* AProperty) {
  return TdxSkinProperty::Compare(AProperty) &&
         dxSkinCompareNames(static_cast<TdxSkinStringProperty*>(AProperty)->FValue, FValue) == 0;
}

void TdxSkinStringProperty::DataRead(TStream* AStream, double) {
  SetValue(dxSkinReadStringFromStream(AStream));
}

void TdxSkinStringProperty::DataWrite(TStream* AStream) {
  dxSkinWriteStringToStream(AStream, FValue);
}

void TdxSkinStringProperty::SetValue(const String& AValue) {
  if (AValue == FValue) return;
  FValue = AValue;
  Changed({scContent});
}

void TdxSkinWideStringProperty::DataRead(TStream* AStream, double) {
  SetValue(dxSkinReadWideStringFromStream(AStream));
}

void TdxSkinWideStringProperty::DataWrite(TStream* AStream) {
  dxSkinWriteWideStringToStream(AStream, FValue);
}

// ---- Borders --------------------------------------------------------------------------------

TdxSkinBorder::TdxSkinBorder(TPersistent* AOwner, TcxBorder AKind)
    : TdxSkinProperty(AOwner, BorderNames[AKind <= bBottom ? AKind : bLeft]),
      FKind(AKind <= bBottom ? AKind : bLeft),
      FColor(this, clNone) {}

void TdxSkinBorder::AssignCore(TPersistent* Source) {
  if (auto* s = dynamic_cast<TdxSkinBorder*>(Source)) {
    FColor.Assign(s->FColor);
    SetThin(s->Thin());
  } else {
    TdxSkinProperty::AssignCore(Source);
  }
}

bool TdxSkinBorder::Compare(TdxSkinProperty* AProperty) {
  auto* border = dynamic_cast<TdxSkinBorder*>(AProperty);
  return border && border->FKind == FKind && border->FThin == FThin && border->FColor.Compare(FColor);
}

void TdxSkinBorder::DataRead(TStream* AStream, double AVersion) {
  if (!(AVersion > kSkinBorderNamesLastVersion)) {
    dxSkinReadStringFromStream(AStream);
    dxSkinReadStringFromStream(AStream);
  }
  FColor.ReadFromStream(AStream, AVersion);
  FThin = dxSkinReadIntegerFromStream(AStream);
  Changed({scContent});
}

void TdxSkinBorder::DataWrite(TStream* AStream) {
  FColor.WriteToStream(AStream);
  dxSkinWriteIntegerToStream(AStream, FThin);
}

void TdxSkinBorder::ResetToDefaults() {
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  SetColor(FColor.DefaultValue);
  SetThin(1);
}

void TdxSkinBorder::SetThin(int32_t AValue) {
  if (AValue == FThin) return;
  FThin = AValue;
  Changed({scContent});
}

int32_t TdxSkinBorder::ContentMargin() {
  return Color() == clNone ? 0 : FThin;
}

TdxSkinBorders::TdxSkinBorders(TPersistent* AOwner, const String& AName) : TdxSkinProperty(AOwner, AName) {
  for (uint8_t kind = bLeft; kind <= bBottom; ++kind) {
    FBorders[kind] = std::make_unique<TdxSkinBorder>(this, static_cast<TcxBorder>(kind));
    FBorders[kind]->OnChange = MakeMethod(this, &TdxSkinBorders::BorderChanged);
  }
}

TdxSkinBorders::~TdxSkinBorders() {
  for (auto& border : FBorders) border->OnChange = nullptr;
}

void TdxSkinBorders::AssignCore(TPersistent* Source) {
  if (auto* s = dynamic_cast<TdxSkinBorders*>(Source)) {
    for (int i = 0; i < 4; ++i) FBorders[i]->Assign(s->FBorders[i].get());
  } else {
    TdxSkinProperty::AssignCore(Source);
  }
}

bool TdxSkinBorders::Compare(TdxSkinProperty* AProperty) {
  auto* borders = dynamic_cast<TdxSkinBorders*>(AProperty);
  if (!borders) return false;
  for (int i = 0; i < 4; ++i)
    if (!FBorders[i]->Compare(borders->FBorders[i].get())) return false;
  return true;
}

void TdxSkinBorders::DataRead(TStream* AStream, double AVersion) {
  for (auto& border : FBorders) border->DataRead(AStream, AVersion);
}

void TdxSkinBorders::DataWrite(TStream* AStream) {
  for (auto& border : FBorders) border->DataWrite(AStream);
}

void TdxSkinBorders::FlushCache() {
  for (auto& border : FBorders) border->FlushCache();
}

void TdxSkinBorders::ResetToDefaults() {
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  for (auto& border : FBorders) border->ResetToDefaults();
}

TRect TdxSkinBorders::ContentMargins() {
  return TRect{Left()->ContentMargin(), Top()->ContentMargin(), Right()->ContentMargin(),
               Bottom()->ContentMargin()};
}

// ---- TdxSkinAlternateImageAttributes --------------------------------------------------------

TdxSkinAlternateImageAttributes::TdxSkinAlternateImageAttributes(TPersistent* AOwner, const String& AName)
    : TdxSkinProperty(AOwner, AName),
      FGradientBeginColor(this, clNone),
      FGradientEndColor(this, clNone),
      FBorders(std::make_unique<TdxSkinBorders>(this, u"Borders")),
      FBordersInner(std::make_unique<TdxSkinBorders>(this, u"BordersInner")),
      FContentOffsets(std::make_unique<TcxRect>(this)) {
  FBorders->OnChange = MakeMethod(this, &TdxSkinAlternateImageAttributes::PartChanged);
  FBordersInner->OnChange = MakeMethod(this, &TdxSkinAlternateImageAttributes::PartChanged);
  FContentOffsets->SetOnChange(MakeMethod(this, &TdxSkinAlternateImageAttributes::OffsetsChanged));
}

TdxSkinAlternateImageAttributes::~TdxSkinAlternateImageAttributes() {
  FBorders->OnChange = nullptr;
  FBordersInner->OnChange = nullptr;
  FContentOffsets->SetOnChange(nullptr);
}

void TdxSkinAlternateImageAttributes::AssignCore(TPersistent* Source) {
  auto* s = dynamic_cast<TdxSkinAlternateImageAttributes*>(Source);
  if (!s) {
    TdxSkinProperty::AssignCore(Source);
    return;
  }
  SetAlpha(s->FAlpha);
  SetGradient(s->FGradient);
  FGradientBeginColor.Assign(s->FGradientBeginColor);
  FGradientEndColor.Assign(s->FGradientEndColor);
  FBorders->Assign(s->FBorders.get());
  FBordersInner->Assign(s->FBordersInner.get());
  FContentOffsets->SetRect(s->FContentOffsets->Rect());
}

bool TdxSkinAlternateImageAttributes::Compare(TdxSkinProperty* AProperty) {
  if (!TdxSkinProperty::Compare(AProperty)) return false;
  auto* a = static_cast<TdxSkinAlternateImageAttributes*>(AProperty);
  return a->FAlpha == FAlpha && a->FGradient == FGradient &&
         a->FGradientBeginColor.Compare(FGradientBeginColor) &&
         a->FGradientEndColor.Compare(FGradientEndColor) && a->FBorders->Compare(FBorders.get()) &&
         a->FBordersInner->Compare(FBordersInner.get()) && a->FContentOffsets->IsEqual(FContentOffsets.get());
}

void TdxSkinAlternateImageAttributes::DataRead(TStream* AStream, double AVersion) {
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  SetAlpha(dxSkinReadByteFromStream(AStream));
  SetGradient(dxSkinReadGradientModeFromStream(AStream));
  FGradientBeginColor.ReadFromStream(AStream, AVersion);
  FGradientEndColor.ReadFromStream(AStream, AVersion);
  FBorders->DataRead(AStream, AVersion);
  FBordersInner->DataRead(AStream, AVersion);
  FContentOffsets->SetRect(dxSkinReadRectFromStream(AStream));
  Changed({scContent});
}

void TdxSkinAlternateImageAttributes::DataWrite(TStream* AStream) {
  dxSkinWriteByteToStream(AStream, FAlpha);
  dxSkinWriteByteToStream(AStream, FGradient);
  FGradientBeginColor.WriteToStream(AStream);
  FGradientEndColor.WriteToStream(AStream);
  FBorders->DataWrite(AStream);
  FBordersInner->DataWrite(AStream);
  dxSkinWriteRectToStream(AStream, FContentOffsets->Rect());
}

void TdxSkinAlternateImageAttributes::FlushCache() {
  FGradientBeginColor.FlushCache();
  FGradientEndColor.FlushCache();
  FBorders->FlushCache();
  FBordersInner->FlushCache();
}

void TdxSkinAlternateImageAttributes::SetAlpha(uint8_t AValue) {
  if (AValue == FAlpha) return;
  FAlpha = AValue;
  Changed({scContent});
}

void TdxSkinAlternateImageAttributes::SetGradient(TdxSkinGradientMode AValue) {
  if (AValue == FGradient) return;
  FGradient = AValue;
  Changed({scContent});
}

bool TdxSkinAlternateImageAttributes::IsAlphaUsed() const {
  const TRect& r = FContentOffsets->Rect();
  return !(FAlpha == 255 && r.Left == 0 && r.Top == 0 && r.Right == 0 && r.Bottom == 0);
}

// ---- List properties and palettes -----------------------------------------------------------

TdxSkinCustomListProperty::TdxSkinCustomListProperty(TPersistent* AOwner, const String& AName)
    : TdxSkinProperty(AOwner, AName),
      FProperties(std::make_unique<TdxSkinProperties>(
          this, MakeMethod(this, &TdxSkinCustomListProperty::ListChanged))) {}

TdxSkinCustomListProperty::~TdxSkinCustomListProperty() {
  FProperties->OnChange = nullptr;
}

void TdxSkinCustomListProperty::AssignCore(TPersistent* Source) {
  if (auto* s = dynamic_cast<TdxSkinCustomListProperty*>(Source))
    FProperties->Assign(s->FProperties.get());
  else
    TdxSkinProperty::AssignCore(Source);
}

bool TdxSkinCustomListProperty::Compare(TdxSkinProperty* AProperty) {
  return TdxSkinProperty::Compare(AProperty) &&
         FProperties->Compare(static_cast<TdxSkinCustomListProperty*>(AProperty)->FProperties.get());
}

void TdxSkinCustomListProperty::DataRead(TStream* AStream, double AVersion) {
  FProperties->DataRead(AStream, AVersion);
}

void TdxSkinCustomListProperty::DataWrite(TStream* AStream) {
  FProperties->DataWrite(AStream);
}

void TdxSkinCustomListProperty::FlushCache() {
  FProperties->FlushCache();
}

bool TdxSkinCustomListProperty::Find(const String& AName, TdxSkinProperty*& AProperty) {
  return FProperties->FindProperty(AName, AProperty);
}

void TdxSkinCustomListProperty::Delete(TdxSkinProperty* AProperty) {
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  FProperties->Remove(AProperty);
}

void TdxSkinCustomListProperty::Delete(int32_t AIndex) {
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  FProperties->Delete(AIndex);
}

void TdxSkinCustomListProperty::Delete(const String& AName) {
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  TdxSkinProperty* p = nullptr;
  if (Find(AName, p)) FProperties->Remove(p);
}

void TdxSkinCustomListProperty::Clear() {
  FProperties->Clear();
}

void TdxSkinCustomListProperty::Sort() {
  FProperties->Sort(false);
}

int32_t TdxSkinCustomListProperty::Count() const {
  return FProperties->Count();
}

TdxSkinProperty* TdxSkinCustomListProperty::Items(int32_t AIndex) const {
  return FProperties->Items(AIndex);
}

TdxSkinColorPalette::TdxSkinColorPalette(TPersistent* AOwner, const String& AName)
    : TdxSkinCustomListProperty(AOwner, AName), FDefaultColorClass(TdxSkinColor::StaticClass()) {
  if (auto* palettes = dynamic_cast<TdxSkinColorPalettes*>(AOwner))
    FDefaultColorClass = palettes->DefaultColorClass();
}

void TdxSkinColorPalette::Changed(TdxSkinChanges AChanges) {
  FID = TGUID{};
  TdxSkinCustomListProperty::Changed(AChanges);
}

void TdxSkinColorPalette::FlushCache() {
  TdxSkinCustomListProperty::FlushCache();
  FID = TGUID{};
}

TdxSkinColor* TdxSkinColorPalette::Add(const String& AName, TColor AColor) {
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  auto* color = static_cast<TdxSkinColor*>(FProperties->Add(AName, FDefaultColorClass));
  color->SetValue(AColor);
  return color;
}

TdxSkinColor* TdxSkinColorPalette::Add(const String& AName, const String& AValueReference) {
  BeginUpdate();
  ScopeExit end{[this] { EndUpdate(); }};
  auto* color = static_cast<TdxSkinColor*>(FProperties->Add(AName, FDefaultColorClass));
  color->SetValue(clDefault);
  color->SetValueReference(AValueReference);
  return color;
}

TdxSkinColor* TdxSkinColorPalette::Colors(int32_t AIndex) const {
  return dynamic_cast<TdxSkinColor*>(Items(AIndex));
}

bool TdxSkinColorPalette::FindColor(const String& AName, TdxSkinColor*& AColor) {
  TdxSkinProperty* p = nullptr;
  AColor = Find(AName, p) ? dynamic_cast<TdxSkinColor*>(p) : nullptr;
  return AColor != nullptr;
}

TGUID TdxSkinColorPalette::GetID() {
  if (FID == TGUID{}) {
    CreateGUID(FID);
    if (FID.Data1 == 0) FID.Data1 = 0xFFFF;
  }
  return FID;
}

TdxAlphaColor TdxSkinColorPalette::GetFillColor(const String& ID) {
  TdxSkinColor* color = nullptr;
  return FindColor(ID, color) ? color->GetValueAsAlphaColor() : kSkinDefaultAlphaColor;
}

TdxAlphaColor TdxSkinColorPalette::GetStrokeColor(const String& ID) {
  return GetFillColor(ID);
}

void TdxSkinGeneralColorPalette::AssignCore(TPersistent* Source) {
  TdxSkinColorPalette::AssignCore(Source);
  if (auto* s = dynamic_cast<TdxSkinColorPalette*>(Source)) SetName(s->Name());
}

TdxSkinColorPalettes::TdxSkinColorPalettes(TPersistent* AOwner, const String& AName)
    : TdxSkinCustomListProperty(AOwner, AName), FDefaultColorClass(TdxSkinColor::StaticClass()) {}

TdxSkinColorPalette* TdxSkinColorPalettes::Add(const String& AName) {
  return static_cast<TdxSkinColorPalette*>(FProperties->Add(AName, TdxSkinColorPalette::StaticClass()));
}

TdxSkinColorPalette* TdxSkinColorPalettes::Palettes(int32_t AIndex) const {
  return dynamic_cast<TdxSkinColorPalette*>(Items(AIndex));
}

bool TdxSkinColorPalettes::FindPalette(const String& AName, TdxSkinColorPalette*& APalette) {
  TdxSkinProperty* p = nullptr;
  APalette = Find(AName, p) ? dynamic_cast<TdxSkinColorPalette*>(p) : nullptr;
  return APalette != nullptr;
}

}  // namespace qd
