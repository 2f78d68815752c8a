#pragma once
// Variant: the tagged value of the run-time library, with the original type codes,
// conversions, comparisons, one-dimensional arrays and custom variant types.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <variant>
#include <vector>

#include "platform/base/exceptions.h"
#include "platform/base/format.h"
#include "platform/base/types.h"

namespace qd {

using TVarType = uint16_t;

constexpr TVarType varEmpty = 0x0000;
constexpr TVarType varNull = 0x0001;
constexpr TVarType varSmallint = 0x0002;
constexpr TVarType varInteger = 0x0003;
constexpr TVarType varSingle = 0x0004;
constexpr TVarType varDouble = 0x0005;
constexpr TVarType varCurrency = 0x0006;
constexpr TVarType varDate = 0x0007;
constexpr TVarType varOleStr = 0x0008;
constexpr TVarType varDispatch = 0x0009;
constexpr TVarType varError = 0x000A;
constexpr TVarType varBoolean = 0x000B;
constexpr TVarType varVariant = 0x000C;
constexpr TVarType varUnknown = 0x000D;
constexpr TVarType varDecimal = 0x000E;
constexpr TVarType varShortInt = 0x0010;
constexpr TVarType varByte = 0x0011;
constexpr TVarType varWord = 0x0012;
constexpr TVarType varLongWord = 0x0013;
constexpr TVarType varInt64 = 0x0014;
constexpr TVarType varUInt64 = 0x0015;
constexpr TVarType varString = 0x0100;  // byte string (system ANSI code page)
constexpr TVarType varAny = 0x0101;
constexpr TVarType varUString = 0x0102;
constexpr TVarType varFirstCustom = 0x010F;  // custom variant types are numbered from here
constexpr TVarType varTypeMask = 0x0FFF;
constexpr TVarType varArray = 0x2000;
constexpr TVarType varByRef = 0x4000;

// "Could not convert variant of type (X) into type (Y)"
QD_DECLARE_EXCEPTION(EVariantTypeCastError, EVariantError)
// "Overflow while converting variant of type (X) into type (Y)"
QD_DECLARE_EXCEPTION(EVariantOverflowError, EVariantError)
// "Invalid variant operation"
QD_DECLARE_EXCEPTION(EVariantInvalidOpError, EVariantError)
// "Invalid argument"
QD_DECLARE_EXCEPTION(EVariantInvalidArgError, EVariantError)
// "Variant or safe array index out of bounds"
QD_DECLARE_EXCEPTION(EVariantBadIndexError, EVariantError)
// "Variant or safe array is locked"
QD_DECLARE_EXCEPTION(EVariantArrayLockedError, EVariantError)

class TCustomVariantType;
struct TVarArrayData;

// The payload of a custom variant type; immutable once stored in a Variant.
class TCustomVarData {
 public:
  virtual ~TCustomVarData() = default;
};

class Variant {
 public:
  Variant() = default;  // Empty
  Variant(bool v) : vt_(varBoolean) { num_.b = v; }
  Variant(signed char v) : vt_(varShortInt) { num_.i = v; }
  Variant(unsigned char v) : vt_(varByte) { num_.i = v; }
  Variant(short v) : vt_(varSmallint) { num_.i = v; }
  Variant(unsigned short v) : vt_(varWord) { num_.i = v; }
  Variant(int v) : vt_(varInteger) { num_.i = v; }
  Variant(unsigned v) : vt_(varLongWord) { num_.i = v; }
  Variant(long v) : vt_(varInt64) { num_.i = v; }
  Variant(long long v) : vt_(varInt64) { num_.i = v; }
  Variant(unsigned long v) : vt_(varUInt64) { num_.u = v; }
  Variant(unsigned long long v) : vt_(varUInt64) { num_.u = v; }
  Variant(float v) : vt_(varSingle) { num_.f = v; }
  Variant(double v) : vt_(varDouble) { num_.d = v; }
  Variant(Currency v) : vt_(varCurrency) { num_.i = v.Value; }
  Variant(String v) : vt_(varUString), obj_(std::move(v)) {}
  Variant(StringView v) : Variant(String(v)) {}
  Variant(const Char* v) : Variant(String(v ? v : u"")) {}
  // Narrow text would otherwise turn into a Boolean.
  Variant(const char*) = delete;
  Variant(char) = delete;
  Variant(Char) = delete;
  template <class T>
  Variant(T*) = delete;

  static Variant FromDate(TDateTime v);
  static Variant FromOleStr(String v);
  static Variant FromAnsiString(AnsiString bytes);
  // A byte array with bounds 0 .. size-1.
  static Variant FromBytes(const uint8_t* data, size_t size);
  static Variant FromBytes(const TBytes& bytes) { return FromBytes(bytes.data(), bytes.size()); }
  static Variant FromCustom(const TCustomVariantType& type, std::shared_ptr<const TCustomVarData> data);

  Variant(const Variant&);
  Variant(Variant&&) noexcept;
  Variant& operator=(const Variant&);
  Variant& operator=(Variant&&) noexcept;
  ~Variant();

  // The type code: varInteger, varUString, varArray | varByte, ...
  TVarType Type() const { return vt_; }
  bool IsEmpty() const { return vt_ == varEmpty; }
  bool IsNull() const { return vt_ == varNull; }
  bool IsArray() const { return (vt_ & varArray) != 0; }

  // Conversions with the run-time library's rules. An impossible one raises
  // EVariantTypeCastError, a value out of the target's range EVariantOverflowError.
  // Empty reads as 0, "" or False; Null converts to nothing.
  int32_t AsInteger() const;
  int64_t AsInt64() const;
  uint64_t AsUInt64() const;
  double AsDouble() const;
  float AsSingle() const;
  Currency AsCurrency() const;
  TDateTime AsDateTime() const;
  bool AsBoolean() const;
  String AsString() const;
  AnsiString AsAnsiString() const;

  // The payload of a custom variant (nullptr for other variants).
  const TCustomVarData* CustomData() const;
  const TCustomVariantType* CustomType() const;

 private:
  friend struct VariantAccess;
  struct ArrayBox {
    std::unique_ptr<TVarArrayData> p;
    ArrayBox();
    explicit ArrayBox(std::unique_ptr<TVarArrayData> d);
    ArrayBox(const ArrayBox& o);
    ArrayBox(ArrayBox&&) noexcept;
    ArrayBox& operator=(const ArrayBox& o);
    ArrayBox& operator=(ArrayBox&&) noexcept;
    ~ArrayBox();
  };

  TVarType vt_ = varEmpty;
  union {
    int64_t i;
    uint64_t u;
    double d;
    float f;
    bool b;
  } num_{0};
  std::variant<std::monostate, String, AnsiString, ArrayBox, std::shared_ptr<const TCustomVarData>> obj_;
};

Variant Null();
Variant Unassigned();

// ---- Type tests --------------------------------------------------------------------------

TVarType VarType(const Variant& v);
bool VarIsType(const Variant& v, TVarType type);
bool VarIsEmpty(const Variant& v);
bool VarIsNull(const Variant& v);
bool VarIsClear(const Variant& v);    // Empty
bool VarIsStr(const Variant& v);      // varOleStr, varString, varUString
bool VarIsOrdinal(const Variant& v);  // integers of every width and Boolean
bool VarIsFloat(const Variant& v);    // Single, Double, Currency
bool VarIsNumeric(const Variant& v);  // ordinal or float
bool VarIsArray(const Variant& v);
// "Integer", "UnicodeString", "Array Byte", ...
String VarTypeAsText(TVarType type);

// ---- Conversions -------------------------------------------------------------------------

Variant VarAsType(const Variant& v, TVarType type);
// Null gives "" here; other values as AsString().
String VarToStr(const Variant& v);
String VarToStrDef(const Variant& v, const String& def);  // Null gives def
String VarToWideStr(const Variant& v);
TDateTime VarToDateTime(const Variant& v);
Variant VarFromDateTime(TDateTime v);

// ---- Comparison --------------------------------------------------------------------------

enum TVariantRelationship { vrEqual, vrLessThan, vrGreaterThan, vrNotEqual };

// The run-time library's comparison: Null equals Null and orders before everything else;
// Empty compares as 0, "" or False; two strings compare ordinally; a string against a
// number is converted to a number (EVariantTypeCastError when it is none); NaN is
// vrNotEqual. Arrays raise EVariantInvalidOpError.
TVariantRelationship VarCompareValue(const Variant& a, const Variant& b);
bool VarSameValue(const Variant& a, const Variant& b);
bool operator==(const Variant& a, const Variant& b);
bool operator<(const Variant& a, const Variant& b);
inline bool operator>(const Variant& a, const Variant& b) {
  return b < a;
}

// ---- One-dimensional arrays --------------------------------------------------------------

// Elements of varByte arrays are stored as bytes, all others as Variants of the element
// type (Empty for varVariant). Raises EVariantInvalidArgError for other element types,
// more than one dimension or a negative length.
Variant VarArrayCreate(int64_t lowBound, int64_t highBound, TVarType elementType);
Variant VarArrayCreate(std::initializer_list<int64_t> bounds, TVarType elementType);
// varArray | varVariant with bounds 0 .. n-1.
Variant VarArrayOf(std::initializer_list<Variant> values);
Variant VarArrayOf(const std::vector<Variant>& values);
int VarArrayDimCount(const Variant& v);  // 0 for non-arrays
int64_t VarArrayLowBound(const Variant& v, int dim);
int64_t VarArrayHighBound(const Variant& v, int dim);
Variant VarArrayGet(const Variant& v, int64_t index);
void VarArrayPut(Variant& v, const Variant& value, int64_t index);
// Changes the high bound, keeping the elements that remain; fails while locked.
void VarArrayRedim(Variant& v, int64_t highBound);
// The elements: uint8_t* for byte arrays, Variant* for the others. Each lock needs an
// unlock; a locked array cannot be resized.
void* VarArrayLock(Variant& v);
const void* VarArrayLock(const Variant& v);
void VarArrayUnlock(const Variant& v);
// The bytes of a byte array (EVariantTypeCastError for anything else).
TBytes VarArrayToBytes(const Variant& v);

// ---- Custom variant types ----------------------------------------------------------------

// A variant type defined outside the run-time library (decimal numbers, time stamps, ...).
// Creating an instance registers it under the next free type code; instances live for the
// whole process.
class TCustomVariantType {
 public:
  TCustomVariantType();
  virtual ~TCustomVariantType();
  TCustomVariantType(const TCustomVariantType&) = delete;
  TCustomVariantType& operator=(const TCustomVariantType&) = delete;

  TVarType VarType() const { return varType_; }
  // The name in conversion messages.
  virtual String Name() const = 0;
  // Converts a value of this type into a standard type (never varArray); raises
  // EVariantTypeCastError when impossible.
  virtual Variant CastTo(const Variant& source, TVarType target) const = 0;
  // Converts a standard variant into this type.
  virtual Variant CastFrom(const Variant& source) const = 0;
  // Compares two values of which at least one is of this type. By default both are
  // compared as Double.
  virtual TVariantRelationship Compare(const Variant& a, const Variant& b) const;

 private:
  TVarType varType_;
};

// The registered type with that code, or nullptr.
const TCustomVariantType* FindCustomVariantType(TVarType type);

}  // namespace qd
