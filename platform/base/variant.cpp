#include "platform/base/variant.h"

#include <cmath>
#include <limits>
#include <mutex>

#include "platform/base/mathutil.h"
#include "platform/base/strings.h"

namespace qd {

QD_IMPLEMENT_CLASS(EVariantTypeCastError)
QD_IMPLEMENT_CLASS(EVariantOverflowError)
QD_IMPLEMENT_CLASS(EVariantInvalidOpError)
QD_IMPLEMENT_CLASS(EVariantInvalidArgError)
QD_IMPLEMENT_CLASS(EVariantBadIndexError)
QD_IMPLEMENT_CLASS(EVariantArrayLockedError)

struct TVarArrayData {
  TVarType elementType = varVariant;
  int64_t lowBound = 0;
  TBytes bytes;                // varByte arrays
  std::vector<Variant> items;  // all others
  int locks = 0;

  int64_t Count() const {
    return elementType == varByte ? static_cast<int64_t>(bytes.size()) : static_cast<int64_t>(items.size());
  }
};

// Access to the private representation for the free functions of this file.
struct VariantAccess {
  static TVarArrayData* Array(const Variant& v) {
    auto* box = std::get_if<Variant::ArrayBox>(&v.obj_);
    return box ? box->p.get() : nullptr;
  }
  static Variant MakeArray(std::unique_ptr<TVarArrayData> data) {
    Variant v;
    v.vt_ = static_cast<TVarType>(varArray | data->elementType);
    v.obj_ = Variant::ArrayBox(std::move(data));
    return v;
  }
  static Variant Retyped(Variant v, TVarType t) {
    v.vt_ = t;
    return v;
  }
  static const String* Str(const Variant& v) { return std::get_if<String>(&v.obj_); }
  static const AnsiString* Ansi(const Variant& v) { return std::get_if<AnsiString>(&v.obj_); }
  static int64_t Int(const Variant& v) { return v.num_.i; }
  static uint64_t UInt(const Variant& v) { return v.num_.u; }
  static double Dbl(const Variant& v) { return v.num_.d; }
  static float Flt(const Variant& v) { return v.num_.f; }
  static bool Bool(const Variant& v) { return v.num_.b; }
};

using VA = VariantAccess;

// ---- Construction ------------------------------------------------------------------------

Variant::ArrayBox::ArrayBox() = default;
Variant::ArrayBox::ArrayBox(std::unique_ptr<TVarArrayData> d) : p(std::move(d)) {}
Variant::ArrayBox::ArrayBox(const ArrayBox& o) : p(o.p ? std::make_unique<TVarArrayData>(*o.p) : nullptr) {
  if (p) p->locks = 0;
}
Variant::ArrayBox::ArrayBox(ArrayBox&&) noexcept = default;
Variant::ArrayBox& Variant::ArrayBox::operator=(const ArrayBox& o) {
  if (this != &o) {
    p = o.p ? std::make_unique<TVarArrayData>(*o.p) : nullptr;
    if (p) p->locks = 0;
  }
  return *this;
}
Variant::ArrayBox& Variant::ArrayBox::operator=(ArrayBox&&) noexcept = default;
Variant::ArrayBox::~ArrayBox() = default;

Variant::Variant(const Variant&) = default;
Variant::Variant(Variant&&) noexcept = default;
Variant& Variant::operator=(const Variant&) = default;
Variant& Variant::operator=(Variant&&) noexcept = default;
Variant::~Variant() = default;

Variant Variant::FromDate(TDateTime v) {
  Variant r(v);
  r.vt_ = varDate;
  return r;
}

Variant Variant::FromOleStr(String v) {
  Variant r(std::move(v));
  r.vt_ = varOleStr;
  return r;
}

Variant Variant::FromAnsiString(AnsiString bytes) {
  Variant r;
  r.vt_ = varString;
  r.obj_ = std::move(bytes);
  return r;
}

Variant Variant::FromBytes(const uint8_t* data, size_t size) {
  auto a = std::make_unique<TVarArrayData>();
  a->elementType = varByte;
  a->bytes.assign(data, data + size);
  return VA::MakeArray(std::move(a));
}

Variant Variant::FromCustom(const TCustomVariantType& type, std::shared_ptr<const TCustomVarData> data) {
  Variant r;
  r.vt_ = type.VarType();
  r.obj_ = std::move(data);
  return r;
}

const TCustomVarData* Variant::CustomData() const {
  auto* p = std::get_if<std::shared_ptr<const TCustomVarData>>(&obj_);
  return p ? p->get() : nullptr;
}

const TCustomVariantType* Variant::CustomType() const {
  return FindCustomVariantType(vt_);
}

Variant Null() {
  return VA::Retyped(Variant(), varNull);
}

Variant Unassigned() {
  return Variant();
}

// ---- Custom type registry ----------------------------------------------------------------

namespace {

std::mutex& CustomTypeRegistryMutex() {
  static std::mutex m;
  return m;
}

std::vector<const TCustomVariantType*>& CustomTypes() {
  static std::vector<const TCustomVariantType*> types;
  return types;
}

}  // namespace

TCustomVariantType::TCustomVariantType() {
  std::lock_guard lock(CustomTypeRegistryMutex());
  varType_ = static_cast<TVarType>(varFirstCustom + CustomTypes().size());
  CustomTypes().push_back(this);
}

TCustomVariantType::~TCustomVariantType() {
  std::lock_guard lock(CustomTypeRegistryMutex());
  auto& r = CustomTypes();
  size_t index = varType_ - varFirstCustom;
  if (index < r.size()) r[index] = nullptr;
}

const TCustomVariantType* FindCustomVariantType(TVarType type) {
  if (type < varFirstCustom || type > varTypeMask) return nullptr;
  std::lock_guard lock(CustomTypeRegistryMutex());
  size_t index = type - varFirstCustom;
  return index < CustomTypes().size() ? CustomTypes()[index] : nullptr;
}

// ---- Type tests --------------------------------------------------------------------------

TVarType VarType(const Variant& v) {
  return v.Type();
}
bool VarIsType(const Variant& v, TVarType type) {
  return v.Type() == type;
}
bool VarIsEmpty(const Variant& v) {
  return v.Type() == varEmpty;
}
bool VarIsNull(const Variant& v) {
  return v.Type() == varNull;
}
bool VarIsClear(const Variant& v) {
  return v.Type() == varEmpty;
}
bool VarIsArray(const Variant& v) {
  return v.IsArray();
}

namespace {

bool IsStrType(TVarType t) {
  return t == varOleStr || t == varString || t == varUString;
}
bool IsIntType(TVarType t) {
  switch (t) {
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
    case varUInt64:
      return true;
    default:
      return false;
  }
}
bool IsFloatType(TVarType t) {
  return t == varSingle || t == varDouble || t == varCurrency;
}
bool IsScalarType(TVarType t) {
  return t == varEmpty || t == varNull || IsIntType(t) || IsFloatType(t) || IsStrType(t) || t == varDate ||
         t == varBoolean;
}

// The system's ANSI code page, used for byte strings.
constexpr uint32_t kAnsiCodePage = CP_WINDOWS1252;

String BaseTypeName(TVarType t) {
  switch (t) {
    case varEmpty:
      return u"Empty";
    case varNull:
      return u"Null";
    case varSmallint:
      return u"Smallint";
    case varInteger:
      return u"Integer";
    case varSingle:
      return u"Single";
    case varDouble:
      return u"Double";
    case varCurrency:
      return u"Currency";
    case varDate:
      return u"Date";
    case varOleStr:
      return u"OleStr";
    case varDispatch:
      return u"Dispatch";
    case varError:
      return u"Error";
    case varBoolean:
      return u"Boolean";
    case varVariant:
      return u"Variant";
    case varUnknown:
      return u"Unknown";
    case varDecimal:
      return u"Decimal";
    case varShortInt:
      return u"ShortInt";
    case varByte:
      return u"Byte";
    case varWord:
      return u"Word";
    case varLongWord:
      return u"LongWord";
    case varInt64:
      return u"Int64";
    case varUInt64:
      return u"UInt64";
    case varString:
      return u"String";
    case varAny:
      return u"Any";
    case varUString:
      return u"UnicodeString";
    default:
      if (const TCustomVariantType* c = FindCustomVariantType(t)) return c->Name();
      return u"$" + IntToHex(t, 4);
  }
}

}  // namespace

bool VarIsStr(const Variant& v) {
  return IsStrType(v.Type());
}
bool VarIsOrdinal(const Variant& v) {
  return IsIntType(v.Type()) || v.Type() == varBoolean;
}
bool VarIsFloat(const Variant& v) {
  return IsFloatType(v.Type());
}
bool VarIsNumeric(const Variant& v) {
  return VarIsOrdinal(v) || VarIsFloat(v);
}

String VarTypeAsText(TVarType type) {
  String name = BaseTypeName(type & varTypeMask);
  if (type & varArray) name = u"Array " + name;
  if (type & varByRef) name = u"Ref " + name;
  return name;
}

// ---- Conversions -------------------------------------------------------------------------

namespace {

[[noreturn]] void CastError(TVarType from, TVarType to) {
  throw EVariantTypeCastError(u"Could not convert variant of type (" + VarTypeAsText(from) +
                              u") into type (" + VarTypeAsText(to) + u")");
}

[[noreturn]] void OverflowError(TVarType from, TVarType to) {
  throw EVariantOverflowError(u"Overflow while converting variant of type (" + VarTypeAsText(from) +
                              u") into type (" + VarTypeAsText(to) + u")");
}

String StringOf(const Variant& v) {
  if (const String* s = VA::Str(v)) return *s;
  if (const AnsiString* a = VA::Ansi(v)) return DecodeCodePage(*a, kAnsiCodePage);
  return {};
}

// Boolean words a string may hold.
bool TextToBool(StringView s, bool& value) {
  String t = Trim(s);
  if (SameText(t, u"True")) {
    value = true;
    return true;
  }
  if (SameText(t, u"False")) {
    value = false;
    return true;
  }
  return false;
}

// Custom values convert through their type.
Variant CustomTo(const Variant& v, TVarType target) {
  const TCustomVariantType* t = v.CustomType();
  if (!t) CastError(v.Type(), target);
  Variant r = t->CastTo(v, target);
  if (r.CustomType()) CastError(v.Type(), target);
  return r;
}

int64_t RoundToInt64(double d, TVarType from, TVarType to) {
  if (!std::isfinite(d) || d >= 9223372036854775808.0 || d < -9223372036854775808.0) OverflowError(from, to);
  double r = std::nearbyint(d);
  if (r >= 9223372036854775808.0) OverflowError(from, to);
  return static_cast<int64_t>(r);
}

// Ten-thousandths to a whole number, halves to even.
int64_t CurrencyToInt(int64_t c) {
  int64_t q = c / 10000, r = c % 10000;
  if (r > 5000 || (r == 5000 && (q & 1))) ++q;
  if (r < -5000 || (r == -5000 && (q & 1))) --q;
  return q;
}

int64_t ToInt64(const Variant& v, TVarType target) {
  const TVarType t = v.Type();
  switch (t) {
    case varEmpty:
      return 0;
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
      return VA::Int(v);
    case varUInt64:
      if (VA::UInt(v) > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) OverflowError(t, target);
      return static_cast<int64_t>(VA::UInt(v));
    case varSingle:
      return RoundToInt64(VA::Flt(v), t, target);
    case varDouble:
    case varDate:
      return RoundToInt64(VA::Dbl(v), t, target);
    case varCurrency:
      return CurrencyToInt(VA::Int(v));
    case varBoolean:
      return VA::Bool(v) ? -1 : 0;
    case varOleStr:
    case varString:
    case varUString: {
      String s = StringOf(v);
      int64_t i;
      if (TryStrToInt64(s, i)) return i;
      double d;
      if (TryStrToFloat(s, d)) return RoundToInt64(d, t, target);
      bool b;
      if (TextToBool(s, b)) return b ? -1 : 0;
      CastError(t, target);
    }
    default:
      if (v.CustomType()) return ToInt64(CustomTo(v, varInt64), target);
      CastError(t, target);
  }
}

int64_t ToRange(const Variant& v, TVarType target, int64_t lo, int64_t hi) {
  int64_t i = ToInt64(v, target);
  if (i < lo || i > hi) OverflowError(v.Type(), target);
  return i;
}

double ToDouble(const Variant& v, TVarType target) {
  const TVarType t = v.Type();
  switch (t) {
    case varEmpty:
      return 0;
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
      return static_cast<double>(VA::Int(v));
    case varUInt64:
      return static_cast<double>(VA::UInt(v));
    case varSingle:
      return VA::Flt(v);
    case varDouble:
    case varDate:
      return VA::Dbl(v);
    case varCurrency:
      return static_cast<double>(VA::Int(v)) / 10000.0;
    case varBoolean:
      return VA::Bool(v) ? -1 : 0;
    case varOleStr:
    case varString:
    case varUString: {
      String s = StringOf(v);
      double d;
      if (TryStrToFloat(s, d)) return d;
      bool b;
      if (TextToBool(s, b)) return b ? -1 : 0;
      CastError(t, target);
    }
    default:
      if (v.CustomType()) return ToDouble(CustomTo(v, varDouble), target);
      CastError(t, target);
  }
}

Currency ToCurrency(const Variant& v) {
  const TVarType t = v.Type();
  if (t == varCurrency) return Currency{VA::Int(v)};
  if (IsIntType(t) || t == varBoolean) {
    if (t == varUInt64 && VA::UInt(v) > static_cast<uint64_t>(std::numeric_limits<int64_t>::max()))
      OverflowError(t, varCurrency);
    int64_t i = ToInt64(v, varCurrency);
    if (i > std::numeric_limits<int64_t>::max() / 10000 || i < std::numeric_limits<int64_t>::min() / 10000)
      OverflowError(t, varCurrency);
    return Currency{i * 10000};
  }
  if (IsStrType(t)) {
    Currency c;
    if (TryStrToCurr(StringOf(v), c)) return c;
  }
  if (v.CustomType()) return ToCurrency(CustomTo(v, varCurrency));
  double d = ToDouble(v, varCurrency);
  double scaled = d * 10000.0;
  if (!(scaled > -9223372036854775808.0 && scaled < 9223372036854775808.0)) OverflowError(t, varCurrency);
  return Currency{Round(scaled)};
}

bool ToBool(const Variant& v) {
  const TVarType t = v.Type();
  switch (t) {
    case varEmpty:
      return false;
    case varBoolean:
      return VA::Bool(v);
    case varOleStr:
    case varString:
    case varUString: {
      String s = StringOf(v);
      bool b;
      if (TextToBool(s, b)) return b;
      double d;
      if (TryStrToFloat(s, d)) return d != 0;
      CastError(t, varBoolean);
    }
    default:
      if (IsIntType(t)) return VA::Int(v) != 0;
      if (IsFloatType(t) || t == varDate) return ToDouble(v, varBoolean) != 0;
      if (v.CustomType()) return ToBool(CustomTo(v, varBoolean));
      CastError(t, varBoolean);
  }
}

TDateTime ToDate(const Variant& v) {
  const TVarType t = v.Type();
  if (IsStrType(t)) {
    TDateTime d;
    if (TryStrToDateTime(StringOf(v), d)) return d;
    CastError(t, varDate);
  }
  if (t == varNull || v.IsArray()) CastError(t, varDate);
  if (v.CustomType()) return ToDate(CustomTo(v, varDate));
  return ToDouble(v, varDate);
}

String ToStr(const Variant& v) {
  const TVarType t = v.Type();
  switch (t) {
    case varEmpty:
      return {};
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
      return IntToStr(VA::Int(v));
    case varUInt64:
      return UIntToStr(VA::UInt(v));
    case varSingle:
      return FloatToStrF(VA::Flt(v), ffGeneral, 7, 0);
    case varDouble:
      return FloatToStr(VA::Dbl(v));
    case varCurrency:
      return CurrToStr(Currency{VA::Int(v)});
    case varDate:
      return DateTimeToStr(VA::Dbl(v));
    case varBoolean:
      return VA::Bool(v) ? u"True" : u"False";
    case varOleStr:
    case varString:
    case varUString:
      return StringOf(v);
    default:
      if (v.CustomType()) return ToStr(CustomTo(v, varUString));
      CastError(t, varUString);
  }
}

}  // namespace

int32_t Variant::AsInteger() const {
  return static_cast<int32_t>(
      ToRange(*this, varInteger, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}
int64_t Variant::AsInt64() const {
  return ToInt64(*this, varInt64);
}
uint64_t Variant::AsUInt64() const {
  if (vt_ == varUInt64) return num_.u;
  int64_t i = ToInt64(*this, varUInt64);
  if (i < 0) OverflowError(vt_, varUInt64);
  return static_cast<uint64_t>(i);
}
double Variant::AsDouble() const {
  return ToDouble(*this, varDouble);
}
float Variant::AsSingle() const {
  double d = ToDouble(*this, varSingle);
  if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<float>::max()) OverflowError(vt_, varSingle);
  return static_cast<float>(d);
}
Currency Variant::AsCurrency() const {
  return ToCurrency(*this);
}
TDateTime Variant::AsDateTime() const {
  return ToDate(*this);
}
bool Variant::AsBoolean() const {
  return ToBool(*this);
}
String Variant::AsString() const {
  return ToStr(*this);
}
AnsiString Variant::AsAnsiString() const {
  if (const AnsiString* a = VA::Ansi(*this)) return *a;
  return EncodeCodePage(ToStr(*this), kAnsiCodePage);
}

Variant VarAsType(const Variant& v, TVarType type) {
  if (v.Type() == type) return v;
  if (type & varArray) CastError(v.Type(), type);
  if (v.IsArray() && type != varEmpty && type != varNull) CastError(v.Type(), type);
  if (v.IsNull() && type != varEmpty && type != varNull && type != varVariant && !FindCustomVariantType(type))
    CastError(varNull, type);
  switch (type) {
    case varEmpty:
      return Variant();
    case varNull:
      return Null();
    case varSmallint:
      return Variant(static_cast<short>(ToRange(v, type, -32768, 32767)));
    case varInteger:
      return Variant(v.AsInteger());
    case varShortInt:
      return Variant(static_cast<signed char>(ToRange(v, type, -128, 127)));
    case varByte:
      return Variant(static_cast<unsigned char>(ToRange(v, type, 0, 255)));
    case varWord:
      return Variant(static_cast<unsigned short>(ToRange(v, type, 0, 65535)));
    case varLongWord:
      return Variant(static_cast<unsigned>(ToRange(v, type, 0, 0xFFFFFFFFll)));
    case varInt64:
      return Variant(static_cast<int64_t>(v.AsInt64()));
    case varUInt64:
      return Variant(static_cast<unsigned long long>(v.AsUInt64()));
    case varSingle:
      return Variant(v.AsSingle());
    case varDouble:
      return Variant(v.AsDouble());
    case varCurrency:
      return Variant(v.AsCurrency());
    case varDate:
      return Variant::FromDate(v.AsDateTime());
    case varBoolean:
      return Variant(v.AsBoolean());
    case varOleStr:
      return Variant::FromOleStr(v.AsString());
    case varUString:
      return Variant(v.AsString());
    case varString:
      return Variant::FromAnsiString(v.AsAnsiString());
    case varVariant:
      return v;
    default:
      if (const TCustomVariantType* c = FindCustomVariantType(type)) return c->CastFrom(v);
      CastError(v.Type(), type);
  }
}

String VarToStr(const Variant& v) {
  return v.IsNull() ? String() : v.AsString();
}
String VarToStrDef(const Variant& v, const String& def) {
  return v.IsNull() ? def : v.AsString();
}
String VarToWideStr(const Variant& v) {
  return VarToStr(v);
}
TDateTime VarToDateTime(const Variant& v) {
  return v.AsDateTime();
}
Variant VarFromDateTime(TDateTime v) {
  return Variant::FromDate(v);
}

// ---- Comparison --------------------------------------------------------------------------

namespace {

template <class T>
TVariantRelationship Relate(T a, T b) {
  if (a == b) return vrEqual;
  if (a < b) return vrLessThan;
  if (b < a) return vrGreaterThan;
  return vrNotEqual;  // NaN
}

TVariantRelationship Reverse(TVariantRelationship r) {
  return r == vrLessThan ? vrGreaterThan : r == vrGreaterThan ? vrLessThan : r;
}

bool IsIntLike(TVarType t) {
  return IsIntType(t);
}

TVariantRelationship CompareNumbers(const Variant& a, const Variant& b) {
  const TVarType ta = a.Type(), tb = b.Type();
  if (IsIntLike(ta) && IsIntLike(tb)) {
    if (ta == varUInt64 || tb == varUInt64) {
      // One side may not fit in 64 signed bits.
      bool aNeg = ta != varUInt64 && VA::Int(a) < 0, bNeg = tb != varUInt64 && VA::Int(b) < 0;
      if (aNeg != bNeg) return aNeg ? vrLessThan : vrGreaterThan;
      if (aNeg) return Relate(VA::Int(a), VA::Int(b));
      return Relate(VA::UInt(a), VA::UInt(b));
    }
    return Relate(VA::Int(a), VA::Int(b));
  }
  if (ta == varCurrency && tb == varCurrency) return Relate(VA::Int(a), VA::Int(b));
  return Relate(ToDouble(a, varDouble), ToDouble(b, varDouble));
}

// A string against a non-string: the string takes the other side's kind.
TVariantRelationship CompareStringWith(const Variant& str, const Variant& other) {
  const TVarType t = other.Type();
  if (t == varBoolean) return Relate(ToBool(str), VA::Bool(other));
  if (IsIntLike(t)) {
    int64_t i;
    if (TryStrToInt64(StringOf(str), i)) return CompareNumbers(Variant(static_cast<int64_t>(i)), other);
  }
  if (t == varDate) {
    TDateTime d;
    if (TryStrToDateTime(StringOf(str), d)) return Relate(d, VA::Dbl(other));
  }
  return Relate(ToDouble(str, t), ToDouble(other, varDouble));
}

// Empty stands for the zero of the other side's kind.
Variant ZeroLike(const Variant& other) {
  const TVarType t = other.Type();
  if (IsStrType(t)) return Variant(String());
  if (t == varBoolean) return Variant(false);
  if (t == varEmpty) return Variant();
  return Variant(0);
}

}  // namespace

TVariantRelationship VarCompareValue(const Variant& a, const Variant& b) {
  if (a.IsArray() || b.IsArray()) throw EVariantInvalidOpError(u"Invalid variant operation");
  if (a.IsNull() || b.IsNull()) {
    if (a.IsNull() && b.IsNull()) return vrEqual;
    return a.IsNull() ? vrLessThan : vrGreaterThan;
  }
  if (a.IsEmpty() && b.IsEmpty()) return vrEqual;
  if (a.IsEmpty()) return VarCompareValue(ZeroLike(b), b);
  if (b.IsEmpty()) return VarCompareValue(a, ZeroLike(a));
  if (const TCustomVariantType* c = a.CustomType()) return c->Compare(a, b);
  if (const TCustomVariantType* c = b.CustomType()) return c->Compare(a, b);

  const TVarType ta = a.Type(), tb = b.Type();
  const bool sa = IsStrType(ta), sb = IsStrType(tb);
  if (sa && sb) {
    if (ta == varString && tb == varString) return Relate(*VA::Ansi(a), *VA::Ansi(b));
    int c = CompareStr(StringOf(a), StringOf(b));
    return c == 0 ? vrEqual : c < 0 ? vrLessThan : vrGreaterThan;
  }
  if (sa) return CompareStringWith(a, b);
  if (sb) return Reverse(CompareStringWith(b, a));
  if (ta == varBoolean && tb == varBoolean) return Relate(VA::Bool(a), VA::Bool(b));
  if (!IsScalarType(ta)) CastError(ta, tb);
  if (!IsScalarType(tb)) CastError(tb, ta);
  return CompareNumbers(a, b);
}

bool VarSameValue(const Variant& a, const Variant& b) {
  return VarCompareValue(a, b) == vrEqual;
}
bool operator==(const Variant& a, const Variant& b) {
  return VarCompareValue(a, b) == vrEqual;
}
bool operator<(const Variant& a, const Variant& b) {
  return VarCompareValue(a, b) == vrLessThan;
}

TVariantRelationship TCustomVariantType::Compare(const Variant& a, const Variant& b) const {
  return Relate(a.AsDouble(), b.AsDouble());
}

// ---- Arrays ------------------------------------------------------------------------------

namespace {

constexpr int64_t kMaxArrayElements = std::numeric_limits<int32_t>::max();

TVarArrayData& ArrayOf(const Variant& v) {
  TVarArrayData* a = VA::Array(v);
  if (!a) throw EVariantInvalidArgError(u"Invalid argument");
  return *a;
}

void CheckDim(const Variant& v, int dim) {
  ArrayOf(v);
  if (dim != 1) throw EVariantInvalidArgError(u"Invalid argument");
}

size_t Slot(const TVarArrayData& a, int64_t index) {
  if (index < a.lowBound || index - a.lowBound >= a.Count())
    throw EVariantBadIndexError(u"Variant or safe array index out of bounds");
  return static_cast<size_t>(index - a.lowBound);
}

bool ValidElementType(TVarType t) {
  return t == varVariant || (IsScalarType(t) && t != varEmpty && t != varNull);
}

Variant DefaultElement(TVarType t) {
  return t == varVariant ? Variant() : VarAsType(Variant(), t);
}

void Resize(TVarArrayData& a, int64_t count) {
  if (a.elementType == varByte) {
    a.bytes.resize(static_cast<size_t>(count));
  } else {
    a.items.resize(static_cast<size_t>(count), DefaultElement(a.elementType));
  }
}

}  // namespace

Variant VarArrayCreate(int64_t lowBound, int64_t highBound, TVarType elementType) {
  if (!ValidElementType(elementType) || highBound < lowBound - 1 || highBound - lowBound >= kMaxArrayElements)
    throw EVariantInvalidArgError(u"Invalid argument");
  auto a = std::make_unique<TVarArrayData>();
  a->elementType = elementType;
  a->lowBound = lowBound;
  Resize(*a, highBound - lowBound + 1);
  return VA::MakeArray(std::move(a));
}

Variant VarArrayCreate(std::initializer_list<int64_t> bounds, TVarType elementType) {
  if (bounds.size() != 2) throw EVariantInvalidArgError(u"Invalid argument");
  return VarArrayCreate(bounds.begin()[0], bounds.begin()[1], elementType);
}

Variant VarArrayOf(std::initializer_list<Variant> values) {
  return VarArrayOf(std::vector<Variant>(values));
}

Variant VarArrayOf(const std::vector<Variant>& values) {
  auto a = std::make_unique<TVarArrayData>();
  a->elementType = varVariant;
  a->items = values;
  return VA::MakeArray(std::move(a));
}

int VarArrayDimCount(const Variant& v) {
  return VA::Array(v) ? 1 : 0;
}

int64_t VarArrayLowBound(const Variant& v, int dim) {
  CheckDim(v, dim);
  return ArrayOf(v).lowBound;
}

int64_t VarArrayHighBound(const Variant& v, int dim) {
  CheckDim(v, dim);
  const TVarArrayData& a = ArrayOf(v);
  return a.lowBound + a.Count() - 1;
}

Variant VarArrayGet(const Variant& v, int64_t index) {
  const TVarArrayData& a = ArrayOf(v);
  size_t i = Slot(a, index);
  if (a.elementType == varByte) return Variant(a.bytes[i]);
  return a.items[i];
}

void VarArrayPut(Variant& v, const Variant& value, int64_t index) {
  TVarArrayData& a = ArrayOf(v);
  size_t i = Slot(a, index);
  if (a.elementType == varByte)
    a.bytes[i] = static_cast<uint8_t>(VA::Int(VarAsType(value, varByte)));
  else
    a.items[i] = a.elementType == varVariant ? value : VarAsType(value, a.elementType);
}

void VarArrayRedim(Variant& v, int64_t highBound) {
  TVarArrayData& a = ArrayOf(v);
  if (a.locks > 0) throw EVariantArrayLockedError(u"Variant or safe array is locked");
  if (highBound < a.lowBound - 1 || highBound - a.lowBound >= kMaxArrayElements)
    throw EVariantInvalidArgError(u"Invalid argument");
  Resize(a, highBound - a.lowBound + 1);
}

void* VarArrayLock(Variant& v) {
  TVarArrayData& a = ArrayOf(v);
  ++a.locks;
  return a.elementType == varByte ? static_cast<void*>(a.bytes.data()) : static_cast<void*>(a.items.data());
}

const void* VarArrayLock(const Variant& v) {
  return VarArrayLock(const_cast<Variant&>(v));
}

void VarArrayUnlock(const Variant& v) {
  TVarArrayData& a = ArrayOf(v);
  if (a.locks == 0) throw EVariantInvalidOpError(u"Invalid variant operation");
  --a.locks;
}

TBytes VarArrayToBytes(const Variant& v) {
  TVarArrayData* a = VA::Array(v);
  if (!a || a->elementType != varByte) CastError(v.Type(), varArray | varByte);
  return a->bytes;
}

}  // namespace qd
