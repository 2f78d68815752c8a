#include "platform/base/fmtbcd.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/base/strings.h"

namespace qd {

namespace {

constexpr int kMaxDigits = 64;
constexpr int kMaxPlaces = 63;

struct TDecimal {
  bool Negative = false;
  std::string Digits;  // without leading zeros in the integer part; may be empty for 0
  int Places = 0;      // the last Places digits are the fraction
};

TDecimal Unpack(const TBcd& AValue) {
  TDecimal d;
  d.Negative = (AValue.SignSpecialPlaces & 0x80) != 0;
  d.Places = AValue.SignSpecialPlaces & 0x3F;
  const int precision = std::min<int>(AValue.Precision, kMaxDigits);
  for (int i = 0; i < precision; ++i) {
    const uint8_t byte = AValue.Fraction[i / 2];
    d.Digits.push_back(static_cast<char>('0' + ((i % 2 == 0 ? byte >> 4 : byte) & 0xF) % 10));
  }
  if (d.Places > precision) d.Digits.insert(0, static_cast<size_t>(d.Places - precision), '0');
  return d;
}

TBcd Pack(TDecimal d) {
  // Fraction digits beyond what fits are dropped.
  while (d.Places > kMaxPlaces || (static_cast<int>(d.Digits.size()) > kMaxDigits && d.Places > 0)) {
    if (d.Digits.empty()) {
      // Every significant digit lay beyond the last place kept: the value is zero.
      d.Places = 0;
      break;
    }
    d.Digits.pop_back();
    --d.Places;
  }
  size_t lead = 0;
  while (lead + static_cast<size_t>(d.Places) < d.Digits.size() && d.Digits[lead] == '0') ++lead;
  d.Digits.erase(0, lead);
  if (d.Digits.empty()) d.Digits = "0";
  if (static_cast<int>(d.Digits.size()) > kMaxDigits) throw EConvertError(u"BCD overflow");
  TBcd r;
  r.Precision = static_cast<uint8_t>(d.Digits.size());
  const bool zero = d.Digits.find_first_not_of('0') == std::string::npos;
  r.SignSpecialPlaces = static_cast<uint8_t>((d.Negative && !zero ? 0x80 : 0) | d.Places);
  for (size_t i = 0; i < d.Digits.size(); ++i) {
    const uint8_t digit = static_cast<uint8_t>(d.Digits[i] - '0');
    r.Fraction[i / 2] |= static_cast<uint8_t>(i % 2 == 0 ? digit << 4 : digit);
  }
  return r;
}

// Integer and fraction digits without insignificant zeros.
void Split(const TDecimal& d, std::string& AInteger, std::string& AFraction) {
  const size_t intLength = d.Digits.size() - static_cast<size_t>(d.Places);
  AInteger = d.Digits.substr(0, intLength);
  AFraction = d.Digits.substr(intLength);
  const size_t first = AInteger.find_first_not_of('0');
  AInteger = first == std::string::npos ? std::string() : AInteger.substr(first);
  const size_t last = AFraction.find_last_not_of('0');
  AFraction = last == std::string::npos ? std::string() : AFraction.substr(0, last + 1);
}

String ToText(const TBcd& AValue, Char ASeparator) {
  std::string integer, fraction;
  const TDecimal d = Unpack(AValue);
  Split(d, integer, fraction);
  std::string text = integer.empty() ? "0" : integer;
  if (!fraction.empty()) text += "." + fraction;
  if (d.Negative && (!integer.empty() || !fraction.empty())) text.insert(0, "-");
  String result = Utf8ToString(text);
  for (Char& c : result)
    if (c == u'.') c = ASeparator;
  return result;
}

struct TFMTBcdData : TCustomVarData {
  explicit TFMTBcdData(const TBcd& AValue) : Value(AValue) {}
  TBcd Value;
};

class TFMTBcdVariantType final : public TCustomVariantType {
 public:
  String Name() const override { return u"FMTBcd"; }
  Variant CastTo(const Variant& source, TVarType target) const override {
    const TBcd& value = static_cast<const TFMTBcdData*>(source.CustomData())->Value;
    switch (target) {
      case varOleStr:
      case varUString:
      case varString:
        return VarAsType(Variant(BcdToStr(value)), target);
      case varBoolean:
        return Variant(BcdCompare(value, IntegerToBcd(0)) != 0);
      default:
        return VarAsType(Variant(BcdToDouble(value)), target);
    }
  }
  Variant CastFrom(const Variant& source) const override {
    if (source.CustomType() == this) return source;
    return VarFMTBcdCreate(VarToBcd(source));
  }
  TVariantRelationship Compare(const Variant& a, const Variant& b) const override {
    const int c = BcdCompare(VarToBcd(a), VarToBcd(b));
    return c == 0 ? vrEqual : (c < 0 ? vrLessThan : vrGreaterThan);
  }
};

const TFMTBcdVariantType& BcdType() {
  static const TFMTBcdVariantType* type = new TFMTBcdVariantType();
  return *type;
}

}  // namespace

namespace {

bool ParseBcd(const std::string& text, char separator, TBcd& AValue) {
  TDecimal d;
  size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) d.Negative = text[i++] == '-';
  bool anyDigit = false, point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      anyDigit = true;
      d.Digits.push_back(c);
      if (point) ++d.Places;
    } else if ((c == '.' || c == separator) && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!anyDigit) return false;
  if (i < text.size()) {
    if (text[i] != 'e' && text[i] != 'E') return false;
    ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i >= text.size()) return false;
    int exponent = 0;
    for (; i < text.size(); ++i) {
      if (text[i] < '0' || text[i] > '9') return false;
      exponent = std::min(exponent * 10 + (text[i] - '0'), 10000);
    }
    d.Places += negative ? exponent : -exponent;
  }
  if (d.Places < 0) {
    if (-d.Places > kMaxDigits) return false;
    d.Digits.append(static_cast<size_t>(-d.Places), '0');
    d.Places = 0;
  }
  try {
    AValue = Pack(std::move(d));
  } catch (const EConvertError&) {
    return false;
  }
  return true;
}

}  // namespace

bool TryStrToBcd(StringView S, TBcd& AValue) {
  const Char separator = FormatSettings().DecimalSeparator;
  return ParseBcd(StringToUtf8(Trim(S)), separator < 128 ? static_cast<char>(separator) : '.', AValue);
}

TBcd StrToBcd(StringView S) {
  TBcd value;
  if (!TryStrToBcd(S, value)) throw EConvertError(u"'" + String(S) + u"' is not a valid BCD value");
  return value;
}

String BcdToStr(const TBcd& AValue) {
  return ToText(AValue, FormatSettings().DecimalSeparator);
}

String BcdToStrF(const TBcd& AValue, TFloatFormat AFormat, int APrecision, int ADigits) {
  return BcdToStr(AValue);
}

TBcd IntegerToBcd(int64_t AValue) {
  TDecimal d;
  d.Negative = AValue < 0;
  const uint64_t magnitude = d.Negative ? 0 - static_cast<uint64_t>(AValue) : static_cast<uint64_t>(AValue);
  d.Digits = std::to_string(magnitude);
  return Pack(std::move(d));
}

TBcd DoubleToBcd(double AValue) {
  if (!std::isfinite(AValue)) throw EConvertError(u"Invalid floating point operation");
  char buffer[64];
  std::snprintf(buffer, sizeof(buffer), "%.15g", AValue);
  TBcd value;
  if (!ParseBcd(buffer, '.', value)) throw EConvertError(u"BCD overflow");
  return value;
}

double BcdToDouble(const TBcd& AValue) {
  return std::strtod(StringToUtf8(ToText(AValue, u'.')).c_str(), nullptr);
}

int BcdCompare(const TBcd& A, const TBcd& B) {
  std::string ia, fa, ib, fb;
  const TDecimal da = Unpack(A), db = Unpack(B);
  Split(da, ia, fa);
  Split(db, ib, fb);
  const bool zeroA = ia.empty() && fa.empty();
  const bool zeroB = ib.empty() && fb.empty();
  const int signA = zeroA ? 0 : (da.Negative ? -1 : 1);
  const int signB = zeroB ? 0 : (db.Negative ? -1 : 1);
  if (signA != signB) return signA < signB ? -1 : 1;
  int magnitude = 0;
  if (ia.size() != ib.size())
    magnitude = ia.size() < ib.size() ? -1 : 1;
  else if (int c = ia.compare(ib); c != 0)
    magnitude = c < 0 ? -1 : 1;
  else if (int f = fa.compare(fb); f != 0)
    magnitude = f < 0 ? -1 : 1;
  return signA < 0 ? -magnitude : magnitude;
}

TVarType VarFMTBcd() {
  return BcdType().VarType();
}

Variant VarFMTBcdCreate(const TBcd& AValue) {
  return Variant::FromCustom(BcdType(), std::make_shared<TFMTBcdData>(AValue));
}

TBcd VarToBcd(const Variant& AValue) {
  if (AValue.CustomType() == &BcdType()) return static_cast<const TFMTBcdData*>(AValue.CustomData())->Value;
  if (VarIsStr(AValue)) {
    TBcd value;
    if (!TryStrToBcd(AValue.AsString(), value))
      throw EVariantTypeCastError(u"Could not convert variant of type (" + VarTypeAsText(AValue.Type()) +
                                  u") into type (FMTBcd)");
    return value;
  }
  if (VarIsOrdinal(AValue)) return IntegerToBcd(AValue.AsInt64());
  try {
    return DoubleToBcd(AValue.AsDouble());
  } catch (const EConvertError&) {
    throw EVariantOverflowError(u"Overflow while converting variant of type (" +
                                VarTypeAsText(AValue.Type()) + u") into type (FMTBcd)");
  }
}

}  // namespace qd
