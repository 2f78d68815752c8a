#pragma once
// Binary-coded decimal numbers (up to 64 digits) and their custom variant type.
#include <cstdint>

#include "platform/base/format.h"
#include "platform/base/types.h"
#include "platform/base/variant.h"

namespace qd {

// Precision digits as nibbles, two per byte, most significant first; SignSpecialPlaces holds
// the sign (bit 7) and the number of decimal places (bits 0..5).
struct TBcd {
  uint8_t Precision = 0;
  uint8_t SignSpecialPlaces = 0;
  uint8_t Fraction[32] = {};
};
static_assert(sizeof(TBcd) == 34);

// Decimal text with an optional sign, "." or the settings' decimal separator, and exponent.
bool TryStrToBcd(StringView S, TBcd& AValue);
// Raises EConvertError "'<s>' is not a valid BCD value".
TBcd StrToBcd(StringView S);
// The shortest exact text: "-12.5", "0", "100".
String BcdToStr(const TBcd& AValue);
// The general format: the exact text (precision and digits do not shorten it).
String BcdToStrF(const TBcd& AValue, TFloatFormat AFormat, int APrecision, int ADigits);
TBcd IntegerToBcd(int64_t AValue);
// Raises EConvertError for infinities and NaN.
TBcd DoubleToBcd(double AValue);
double BcdToDouble(const TBcd& AValue);
// -1, 0 or 1 by numeric value.
int BcdCompare(const TBcd& A, const TBcd& B);
inline int BcdPrecision(const TBcd& AValue) {
  return AValue.Precision;
}
inline int BcdScale(const TBcd& AValue) {
  return AValue.SignSpecialPlaces & 0x3F;
}

// The type code of BCD variants (registered on first use).
TVarType VarFMTBcd();
Variant VarFMTBcdCreate(const TBcd& AValue);
// A BCD variant's value; other variants are converted (EVariantTypeCastError when impossible).
TBcd VarToBcd(const Variant& AValue);

}  // namespace qd
