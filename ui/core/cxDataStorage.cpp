#include "ui/core/cxDataStorage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "ui/core/cxVariants.h"
#include "ui/core/dxCore.h"
#include "platform/base/fmtbcd.h"
#include "platform/base/format.h"
#include "platform/base/sqltimst.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxStream)
QD_IMPLEMENT_CLASS(TcxValueType)
QD_IMPLEMENT_CLASS(TcxPointerCellValueType)

#define QD_IMPLEMENT_VALUE_TYPE(Cls) \
  QD_IMPLEMENT_CLASS(Cls)            \
  TcxValueTypeClass Cls::Class() {   \
    static const Cls instance;       \
    return &instance;                \
  }

QD_IMPLEMENT_VALUE_TYPE(TcxStringValueType)
QD_IMPLEMENT_VALUE_TYPE(TcxWideStringValueType)
QD_IMPLEMENT_VALUE_TYPE(TcxSmallintValueType)
QD_IMPLEMENT_VALUE_TYPE(TcxIntegerValueType)
QD_IMPLEMENT_VALUE_TYPE(TcxWordValueType)
QD_IMPLEMENT_VALUE_TYPE(TcxBooleanValueType)
QD_IMPLEMENT_VALUE_TYPE(TcxSingleValueType)
QD_IMPLEMENT_VALUE_TYPE(TcxFloatValueType)
QD_IMPLEMENT_VALUE_TYPE(TcxCurrencyValueType)
QD_IMPLEMENT_VALUE_TYPE(TcxDateTimeValueType)
QD_IMPLEMENT_VALUE_TYPE(TcxLargeIntValueType)
QD_IMPLEMENT_VALUE_TYPE(TcxFMTBcdValueType)
QD_IMPLEMENT_VALUE_TYPE(TcxSQLTimeStampValueType)
QD_IMPLEMENT_VALUE_TYPE(TcxVariantValueType)
QD_IMPLEMENT_VALUE_TYPE(TcxObjectValueType)
QD_IMPLEMENT_VALUE_TYPE(TcxBLOBValueType)

#undef QD_IMPLEMENT_VALUE_TYPE

TcxValueTypeClass TcxValueType::Class() {
  static const TcxValueType instance;
  return &instance;
}

namespace {

// Cells need not be aligned: every access copies bytes.
template <class T>
T Load(const void* ACell) {
  T value;
  std::memcpy(&value, ACell, sizeof(T));
  return value;
}

template <class T>
void Store(void* ACell, const T& AValue) {
  std::memcpy(ACell, &AValue, sizeof(T));
}

template <class T>
T* LoadPointer(const void* ACell) {
  return static_cast<T*>(Load<void*>(ACell));
}

template <class T>
int32_t CompareOrdered(T A, T B) {
  if (A < B) return -1;
  return A == B ? 0 : 1;
}

// -1, 0 or 1; an unordered pair (NaN) gives -1.
template <class T>
int32_t CompareFloats(T A, T B) {
  if (A > B) return 1;
  return A == B ? 0 : -1;
}

// The variant converted to the type, as the platform converts.
Variant Converted(const Variant& AValue, TVarType AType) {
  return VarAsType(AValue, AType);
}

// The wide-string block: a 32-bit count of UTF-16 units, then the units.
struct TWideBlock {
  static void* Create(const String& S) {
    const auto count = static_cast<uint32_t>(S.size());
    auto* block = static_cast<uint8_t*>(::operator new(4 + 2 * static_cast<size_t>(count)));
    std::memcpy(block, &count, 4);
    if (count) std::memcpy(block + 4, S.data(), 2 * static_cast<size_t>(count));
    return block;
  }
  static String Text(const void* ABlock) {
    const auto* block = static_cast<const uint8_t*>(ABlock);
    const uint32_t count = Load<uint32_t>(block);
    String s(count, u'\0');
    if (count) std::memcpy(s.data(), block + 4, 2 * static_cast<size_t>(count));
    return s;
  }
  static void Free(void* ABlock) { ::operator delete(ABlock); }
};

}  // namespace

// --- Root --------------------------------------------------------------------------

int32_t TcxValueType::Compare(void* P1, void* P2) const {
  return CompareValues(P1, P2);
}

void TcxValueType::FreeTextBuffer(void* ABuffer) const {
  delete LoadPointer<String>(ABuffer);
  Store<void*>(ABuffer, nullptr);
}

Variant TcxValueType::GetDataValue(void* ABuffer) const {
  return Null();
}

String TcxValueType::GetDefaultDisplayText(void* ABuffer) const {
  try {
    return VarToStr(GetDataValue(ABuffer));
  } catch (const EVariantError&) {
    return String();
  }
}

String TcxValueType::GetDisplayText(void* ABuffer) const {
  const String* text = LoadPointer<String>(ABuffer);
  return text ? *text : String();
}

void TcxValueType::SetDisplayText(void* ABuffer, const String& AText) const {
  String* text = LoadPointer<String>(ABuffer);
  if (text) {
    *text = AText;
  } else {
    Store<void*>(ABuffer, new String(AText));
  }
}

void TcxValueType::ReadDataValue(void* ABuffer, TdxStream& AStream) const {
  SetDataValue(ABuffer, ReadVariantFunc(AStream));
}

void TcxValueType::WriteDataValue(void* ABuffer, TdxStream& AStream) const {
  WriteVariantProc(AStream, GetDataValue(ABuffer));
}

void TcxValueType::ReadDisplayText(void* ABuffer, TdxStream& AStream) const {
  if (AStream.IsUnicode())
    SetDisplayText(ABuffer, ReadWideStringFunc(AStream));
  else
    SetDisplayText(ABuffer, dxAnsiStringToString(ReadAnsiStringFunc(AStream)));
}

void TcxValueType::WriteDisplayText(void* ABuffer, TdxStream& AStream) const {
  if (AStream.IsUnicode())
    WriteWideStringProc(AStream, GetDisplayText(ABuffer));
  else
    WriteAnsiStringProc(AStream, dxStringToAnsiString(GetDisplayText(ABuffer)));
}

String TcxValueType::Caption() const {
  String name = ClassName();
  if (StringView(name).substr(0, 3) == u"Tcx") name.erase(0, 3);
  const size_t p = name.find(u"ValueType");
  if (p != String::npos) name.erase(p, 9);
  return name;
}

int32_t TcxValueType::CompareValues(void* P1, void* P2) const {
  return VarCompare(GetDataValue(P1), GetDataValue(P2));
}

bool TcxValueType::IsValueValid(Variant& AValue) const {
  if (AValue.IsNull() || GetVarType() == varVariant) return true;
  try {
    AValue = VarAsType(AValue, GetVarType());
    return true;
  } catch (const EVariantTypeCastError&) {
    return false;
  } catch (const EVariantOverflowError&) {
    return false;
  }
}

// --- Pointer cells -----------------------------------------------------------------

int32_t TcxPointerCellValueType::Compare(void* P1, void* P2) const {
  return CompareValues(Load<void*>(P1), Load<void*>(P2));
}

void TcxPointerCellValueType::PrepareValueBuffer(void*& ABuffer) const {
  ABuffer = Load<void*>(ABuffer);
}

int32_t TcxPointerCellValueType::CompareValues(void* P1, void* P2) const {
  if (!P1 || !P2) return P1 ? 1 : (P2 ? -1 : 0);
  return ComparePointed(P1, P2);
}

// --- String ------------------------------------------------------------------------

void TcxStringValueType::FreeBuffer(void* ABuffer) const {
  FreeTextBuffer(ABuffer);
}

Variant TcxStringValueType::GetDataValue(void* ABuffer) const {
  const String* text = LoadPointer<String>(ABuffer);
  return text ? Converted(Variant(*text), GetVarType()) : Null();
}

void TcxStringValueType::SetDataValue(void* ABuffer, const Variant& AValue) const {
  if (AValue.IsArray())
    SetDisplayText(ABuffer, dxAnsiStringToString(dxVariantToAnsiString(AValue)));
  else
    SetDisplayText(ABuffer, VarToStr(AValue));
}

int32_t TcxStringValueType::ComparePointed(void* P1, void* P2) const {
  const int c = static_cast<const String*>(P1)->compare(*static_cast<const String*>(P2));
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

void TcxStringValueType::ReadDataValue(void* ABuffer, TdxStream& AStream) const {
  if (AStream.IsUnicode())
    SetDisplayText(ABuffer, ReadWideStringFunc(AStream));
  else
    SetDisplayText(ABuffer, dxAnsiStringToString(ReadAnsiStringFunc(AStream)));
}

void TcxStringValueType::WriteDataValue(void* ABuffer, TdxStream& AStream) const {
  const String text = VarToStr(GetDataValue(ABuffer));
  if (AStream.IsUnicode())
    WriteWideStringProc(AStream, text);
  else
    WriteAnsiStringProc(AStream, dxStringToAnsiString(text));
}

// --- Wide string -------------------------------------------------------------------

void TcxWideStringValueType::FreeBuffer(void* ABuffer) const {
  TWideBlock::Free(Load<void*>(ABuffer));
  Store<void*>(ABuffer, nullptr);
}

Variant TcxWideStringValueType::GetDataValue(void* ABuffer) const {
  const void* block = Load<void*>(ABuffer);
  return block ? Variant::FromOleStr(TWideBlock::Text(block)) : Null();
}

void TcxWideStringValueType::SetDataValue(void* ABuffer, const Variant& AValue) const {
  // The new value is made before the old one is released, so a failed conversion keeps it.
  void* block = AValue.IsNull() ? nullptr : TWideBlock::Create(VarToWideStr(AValue));
  TWideBlock::Free(Load<void*>(ABuffer));
  Store<void*>(ABuffer, block);
}

int32_t TcxWideStringValueType::ComparePointed(void* P1, void* P2) const {
  const String a = TWideBlock::Text(P1);
  const String b = TWideBlock::Text(P2);
  if (a == b) return 0;
  return a < b ? -1 : 1;
}

void TcxWideStringValueType::ReadDataValue(void* ABuffer, TdxStream& AStream) const {
  SetDataValue(ABuffer, Variant::FromOleStr(ReadWideStringFunc(AStream)));
}

void TcxWideStringValueType::WriteDataValue(void* ABuffer, TdxStream& AStream) const {
  WriteWideStringProc(AStream, VarToWideStr(GetDataValue(ABuffer)));
}

// --- Fixed-width numbers -----------------------------------------------------------

int32_t TcxSmallintValueType::CompareValues(void* P1, void* P2) const {
  return Load<int16_t>(P1) - Load<int16_t>(P2);
}
Variant TcxSmallintValueType::GetDataValue(void* ABuffer) const {
  return Variant(Load<short>(ABuffer));
}
void TcxSmallintValueType::SetDataValue(void* ABuffer, const Variant& AValue) const {
  Store<int16_t>(ABuffer, static_cast<int16_t>(Converted(AValue, varSmallint).AsInteger()));
}
void TcxSmallintValueType::ReadDataValue(void* ABuffer, TdxStream& AStream) const {
  SetDataValue(ABuffer, Variant(static_cast<short>(ReadSmallIntFunc(AStream))));
}
void TcxSmallintValueType::WriteDataValue(void* ABuffer, TdxStream& AStream) const {
  WriteSmallIntProc(AStream, Load<int16_t>(ABuffer));
}

int32_t TcxIntegerValueType::CompareValues(void* P1, void* P2) const {
  return CompareOrdered(Load<int32_t>(P1), Load<int32_t>(P2));
}
Variant TcxIntegerValueType::GetDataValue(void* ABuffer) const {
  return Variant(Load<int>(ABuffer));
}
void TcxIntegerValueType::SetDataValue(void* ABuffer, const Variant& AValue) const {
  Store<int32_t>(ABuffer, AValue.AsInteger());
}
void TcxIntegerValueType::ReadDataValue(void* ABuffer, TdxStream& AStream) const {
  SetDataValue(ABuffer, Variant(static_cast<int>(ReadIntegerFunc(AStream))));
}
void TcxIntegerValueType::WriteDataValue(void* ABuffer, TdxStream& AStream) const {
  WriteIntegerProc(AStream, Load<int32_t>(ABuffer));
}

int32_t TcxWordValueType::CompareValues(void* P1, void* P2) const {
  return Load<uint16_t>(P1) - Load<uint16_t>(P2);
}
Variant TcxWordValueType::GetDataValue(void* ABuffer) const {
  return Variant(Load<unsigned short>(ABuffer));
}
void TcxWordValueType::SetDataValue(void* ABuffer, const Variant& AValue) const {
  // The low 16 bits of the integer.
  Store<uint16_t>(ABuffer, static_cast<uint16_t>(static_cast<uint64_t>(AValue.AsInt64())));
}
void TcxWordValueType::ReadDataValue(void* ABuffer, TdxStream& AStream) const {
  SetDataValue(ABuffer, Variant(static_cast<unsigned short>(ReadWordFunc(AStream))));
}
void TcxWordValueType::WriteDataValue(void* ABuffer, TdxStream& AStream) const {
  WriteWordProc(AStream, Load<uint16_t>(ABuffer));
}

int32_t TcxBooleanValueType::CompareValues(void* P1, void* P2) const {
  return Load<uint8_t>(P1) - Load<uint8_t>(P2);
}
Variant TcxBooleanValueType::GetDataValue(void* ABuffer) const {
  return Variant(Load<uint8_t>(ABuffer) != 0);
}
String TcxBooleanValueType::GetDefaultDisplayText(void* ABuffer) const {
  try {
    return GetDataValue(ABuffer).AsBoolean() ? u"True" : u"False";
  } catch (const EVariantError&) {
    return String();
  }
}
void TcxBooleanValueType::SetDataValue(void* ABuffer, const Variant& AValue) const {
  Store<uint8_t>(ABuffer, AValue.AsBoolean() ? 1 : 0);
}
void TcxBooleanValueType::ReadDataValue(void* ABuffer, TdxStream& AStream) const {
  SetDataValue(ABuffer, Variant(ReadBooleanFunc(AStream)));
}
void TcxBooleanValueType::WriteDataValue(void* ABuffer, TdxStream& AStream) const {
  WriteBooleanProc(AStream, Load<uint8_t>(ABuffer) != 0);
}

int32_t TcxSingleValueType::CompareValues(void* P1, void* P2) const {
  return CompareFloats(Load<float>(P1), Load<float>(P2));
}
Variant TcxSingleValueType::GetDataValue(void* ABuffer) const {
  return Variant(Load<float>(ABuffer));
}
void TcxSingleValueType::SetDataValue(void* ABuffer, const Variant& AValue) const {
  Store<float>(ABuffer, AValue.AsSingle());
}
void TcxSingleValueType::ReadDataValue(void* ABuffer, TdxStream& AStream) const {
  Store<float>(ABuffer, AStream.ReadValue<float>());
}
void TcxSingleValueType::WriteDataValue(void* ABuffer, TdxStream& AStream) const {
  WriteSingleProc(AStream, Load<float>(ABuffer));
}

int32_t TcxFloatValueType::CompareValues(void* P1, void* P2) const {
  return CompareFloats(Load<double>(P1), Load<double>(P2));
}
Variant TcxFloatValueType::GetDataValue(void* ABuffer) const {
  return Variant(Load<double>(ABuffer));
}
void TcxFloatValueType::SetDataValue(void* ABuffer, const Variant& AValue) const {
  Store<double>(ABuffer, AValue.AsDouble());
}
void TcxFloatValueType::ReadDataValue(void* ABuffer, TdxStream& AStream) const {
  // The 10-byte extended value is converted into the 8-byte cell.
  double value;
  ReadFloatProc(AStream, value);
  Store<double>(ABuffer, value);
}
void TcxFloatValueType::WriteDataValue(void* ABuffer, TdxStream& AStream) const {
  WriteFloatProc(AStream, Load<double>(ABuffer));
}

int32_t TcxCurrencyValueType::CompareValues(void* P1, void* P2) const {
  return CompareOrdered(Load<int64_t>(P1), Load<int64_t>(P2));
}
Variant TcxCurrencyValueType::GetDataValue(void* ABuffer) const {
  return Variant(Currency{Load<int64_t>(ABuffer)});
}
void TcxCurrencyValueType::SetDataValue(void* ABuffer, const Variant& AValue) const {
  Store<int64_t>(ABuffer, AValue.AsCurrency().Value);
}
void TcxCurrencyValueType::ReadDataValue(void* ABuffer, TdxStream& AStream) const {
  SetDataValue(ABuffer, Variant(ReadCurrencyFunc(AStream)));
}
void TcxCurrencyValueType::WriteDataValue(void* ABuffer, TdxStream& AStream) const {
  WriteCurrencyProc(AStream, Currency{Load<int64_t>(ABuffer)});
}

int32_t TcxDateTimeValueType::CompareValues(void* P1, void* P2) const {
  return CompareFloats(Load<double>(P1), Load<double>(P2));
}
Variant TcxDateTimeValueType::GetDataValue(void* ABuffer) const {
  return Variant::FromDate(Load<double>(ABuffer));
}
TDateTime TcxDateTimeValueType::GetDateTime(void* ABuffer) const {
  return Load<double>(ABuffer);
}
String TcxDateTimeValueType::GetDefaultDisplayText(void* ABuffer) const {
  try {
    return VarToStr(GetDataValue(ABuffer));
  } catch (const EVariantError&) {
    return DateTimeToStr(GetDateTime(ABuffer));
  }
}
void TcxDateTimeValueType::SetDataValue(void* ABuffer, const Variant& AValue) const {
  Store<double>(ABuffer, AValue.AsDateTime());
}
void TcxDateTimeValueType::ReadDataValue(void* ABuffer, TdxStream& AStream) const {
  SetDataValue(ABuffer, Variant::FromDate(ReadDateTimeFunc(AStream)));
}
void TcxDateTimeValueType::WriteDataValue(void* ABuffer, TdxStream& AStream) const {
  WriteDateTimeProc(AStream, Load<double>(ABuffer));
}

int32_t TcxLargeIntValueType::CompareValues(void* P1, void* P2) const {
  return CompareOrdered(Load<int64_t>(P1), Load<int64_t>(P2));
}
Variant TcxLargeIntValueType::GetDataValue(void* ABuffer) const {
  return Variant(Load<int64_t>(ABuffer));
}
void TcxLargeIntValueType::SetDataValue(void* ABuffer, const Variant& AValue) const {
  Store<int64_t>(ABuffer, AValue.AsInt64());
}
void TcxLargeIntValueType::ReadDataValue(void* ABuffer, TdxStream& AStream) const {
  SetDataValue(ABuffer, Variant(ReadLargeIntFunc(AStream)));
}
void TcxLargeIntValueType::WriteDataValue(void* ABuffer, TdxStream& AStream) const {
  WriteLargeIntProc(AStream, Load<int64_t>(ABuffer));
}

// --- BCD and SQL time stamp --------------------------------------------------------

int32_t TcxFMTBcdValueType::CompareValues(void* P1, void* P2) const {
  return BcdCompare(Load<TBcd>(P1), Load<TBcd>(P2));
}
Variant TcxFMTBcdValueType::GetDataValue(void* ABuffer) const {
  return VarFMTBcdCreate(Load<TBcd>(ABuffer));
}
String TcxFMTBcdValueType::GetDefaultDisplayText(void* ABuffer) const {
  const TBcd value = Load<TBcd>(ABuffer);
  return BcdToStrF(value, ffGeneral, BcdPrecision(value), BcdScale(value));
}
TVarType TcxFMTBcdValueType::GetVarType() const {
  return VarFMTBcd();
}
void TcxFMTBcdValueType::SetDataValue(void* ABuffer, const Variant& AValue) const {
  Store<TBcd>(ABuffer, VarToBcd(AValue));
}

int32_t TcxSQLTimeStampValueType::CompareValues(void* P1, void* P2) const {
  const TSQLTimeStamp a = Load<TSQLTimeStamp>(P1);
  const TSQLTimeStamp b = Load<TSQLTimeStamp>(P2);
  if (a.Year != b.Year) return a.Year - b.Year;
  if (a.Month != b.Month) return a.Month - b.Month;
  if (a.Day != b.Day) return a.Day - b.Day;
  if (a.Hour != b.Hour) return a.Hour - b.Hour;
  if (a.Minute != b.Minute) return a.Minute - b.Minute;
  if (a.Second != b.Second) return a.Second - b.Second;
  return CompareOrdered(a.Fractions, b.Fractions);
}
Variant TcxSQLTimeStampValueType::GetDataValue(void* ABuffer) const {
  return Variant::FromDate(SQLTimeStampToDateTime(Load<TSQLTimeStamp>(ABuffer)));
}
TVarType TcxSQLTimeStampValueType::GetVarType() const {
  return VarSQLTimeStamp();
}
void TcxSQLTimeStampValueType::SetDataValue(void* ABuffer, const Variant& AValue) const {
  Store<TSQLTimeStamp>(ABuffer, VarToSQLTimeStamp(AValue));
}

// --- Variant -----------------------------------------------------------------------

void TcxVariantValueType::FreeBuffer(void* ABuffer) const {
  delete LoadPointer<Variant>(ABuffer);
  Store<void*>(ABuffer, nullptr);
}
Variant TcxVariantValueType::GetDataValue(void* ABuffer) const {
  const Variant* value = LoadPointer<Variant>(ABuffer);
  return value ? *value : Null();
}
void TcxVariantValueType::SetDataValue(void* ABuffer, const Variant& AValue) const {
  if (Variant* value = LoadPointer<Variant>(ABuffer))
    *value = AValue;
  else
    Store<void*>(ABuffer, new Variant(AValue));
}
int32_t TcxVariantValueType::ComparePointed(void* P1, void* P2) const {
  return VarCompare(*static_cast<const Variant*>(P1), *static_cast<const Variant*>(P2));
}

// --- Object ------------------------------------------------------------------------

int32_t TcxObjectValueType::CompareValues(void* P1, void* P2) const {
  return CompareOrdered(Load<uintptr_t>(P1), Load<uintptr_t>(P2));
}
void TcxObjectValueType::FreeBuffer(void* ABuffer) const {
  delete LoadPointer<TObject>(ABuffer);
  Store<void*>(ABuffer, nullptr);
}
Variant TcxObjectValueType::GetDataValue(void* ABuffer) const {
  return Variant(static_cast<int64_t>(Load<intptr_t>(ABuffer)));
}
void TcxObjectValueType::SetDataValue(void* ABuffer, const Variant& AValue) const {
  Store<intptr_t>(ABuffer, static_cast<intptr_t>(AValue.AsInt64()));
}

// --- BLOB --------------------------------------------------------------------------

void TcxBLOBValueType::FreeBuffer(void* ABuffer) const {
  delete LoadPointer<AnsiString>(ABuffer);
  Store<void*>(ABuffer, nullptr);
}
AnsiString TcxBLOBValueType::GetAnsiString(void* ABuffer) const {
  const AnsiString* value = LoadPointer<AnsiString>(ABuffer);
  return value ? *value : AnsiString();
}
Variant TcxBLOBValueType::GetDataValue(void* ABuffer) const {
  const AnsiString* value = LoadPointer<AnsiString>(ABuffer);
  return value ? Variant::FromAnsiString(*value) : Null();
}
void TcxBLOBValueType::SetDataValue(void* ABuffer, const Variant& AValue) const {
  AnsiString bytes = dxVariantToAnsiString(AValue);
  if (AnsiString* value = LoadPointer<AnsiString>(ABuffer))
    *value = std::move(bytes);
  else
    Store<void*>(ABuffer, new AnsiString(std::move(bytes)));
}
int32_t TcxBLOBValueType::ComparePointed(void* P1, void* P2) const {
  const int c = static_cast<const AnsiString*>(P1)->compare(*static_cast<const AnsiString*>(P2));
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}
void TcxBLOBValueType::ReadDataValue(void* ABuffer, TdxStream& AStream) const {
  SetDataValue(ABuffer, Variant::FromAnsiString(ReadAnsiStringFunc(AStream)));
}
void TcxBLOBValueType::WriteDataValue(void* ABuffer, TdxStream& AStream) const {
  WriteAnsiStringProc(AStream, GetAnsiString(ABuffer));
}

// --- Registry ----------------------------------------------------------------------

void TcxValueTypeClassList::RegisterItem(TcxValueTypeClass AClass) {
  if (AClass && std::find(FItems.begin(), FItems.end(), AClass) == FItems.end()) FItems.push_back(AClass);
}

void TcxValueTypeClassList::UnregisterItem(TcxValueTypeClass AClass) {
  FItems.erase(std::remove(FItems.begin(), FItems.end(), AClass), FItems.end());
}

TcxValueTypeClass TcxValueTypeClassList::Items(int32_t AIndex) const {
  if (AIndex < 0 || AIndex >= Count()) RaiseListIndexError(AIndex);
  return FItems[static_cast<size_t>(AIndex)];
}

TcxValueTypeClass TcxValueTypeClassList::ItemByCaption(const String& ACaption) const {
  for (TcxValueTypeClass item : FItems)
    if (item->Caption() == ACaption) return item;
  return nullptr;
}

namespace {

std::unique_ptr<TcxValueTypeClassList>& ListHolder() {
  static std::unique_ptr<TcxValueTypeClassList> list;
  return list;
}

TcxValueTypeClass RegisteredTypes(size_t AIndex) {
  const TcxValueTypeClass types[] = {
      TcxStringValueType::Class(),       TcxWideStringValueType::Class(), TcxSmallintValueType::Class(),
      TcxIntegerValueType::Class(),      TcxWordValueType::Class(),       TcxBooleanValueType::Class(),
      TcxSingleValueType::Class(),       TcxFloatValueType::Class(),      TcxCurrencyValueType::Class(),
      TcxDateTimeValueType::Class(),     TcxLargeIntValueType::Class(),   TcxFMTBcdValueType::Class(),
      TcxSQLTimeStampValueType::Class(), TcxVariantValueType::Class(),    TcxObjectValueType::Class(),
      TcxBLOBValueType::Class()};
  return types[AIndex];
}

constexpr size_t kRegisteredCount = 16;

}  // namespace

TcxValueTypeClassList* cxValueTypeClassList() {
  auto& list = ListHolder();
  if (!list) list = std::make_unique<TcxValueTypeClassList>();
  return list.get();
}

bool IsDateTimeValueTypeClass(TcxValueTypeClass AClass) {
  return AClass == TcxDateTimeValueType::Class() || AClass == TcxSQLTimeStampValueType::Class();
}

namespace cxDataStorage {

void Initialize() {
  for (size_t i = 0; i < kRegisteredCount; ++i) cxValueTypeClassList()->RegisterItem(RegisteredTypes(i));
}

void Finalize() {
  auto& list = ListHolder();
  if (!list) return;
  for (size_t i = kRegisteredCount; i > 0; --i) list->UnregisterItem(RegisteredTypes(i - 1));
  list.reset();
}

}  // namespace cxDataStorage

}  // namespace qd
