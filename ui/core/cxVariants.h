#pragma once
// Variant comparison as the editors use it, variant classification, and the binary stream
// formats of stored values: the self-describing tagged variant stream and untagged scalars.
#include <cstdint>

#include "platform/base/format.h"
#include "platform/base/types.h"
#include "platform/base/variant.h"

namespace qd {

class TStream;

// Negative, 0 or positive. Empty before everything, then Null; values the platform cannot
// compare (a non-numeric string against a number) order as "less". An array orders after a
// non-array; two arrays by their sizes, then element by element.
int32_t VarCompare(const Variant& V1, const Variant& V2);
bool VarEquals(const Variant& V1, const Variant& V2);
// VarEquals, except that a Boolean on either side (and no Null) is compared as text.
bool VarEqualsExact(const Variant& V1, const Variant& V2);

// A date or an SQL time stamp.
bool VarIsDate(const Variant& V);
// The platform's numeric test, or a BCD.
bool VarIsNumericEx(const Variant& V);
// Null, or a string variant holding the empty string.
bool VarIsSoftNull(const Variant& V);

// The tagged variant stream. Writing raises EWriteError "Stream write error" for arrays of
// more than one dimension and for values without a text form; reading raises EReadError
// "Stream read error" for an unknown tag, a truncated or inconsistent stream, or arrays nested
// deeper than kMaxVariantStreamNesting.
constexpr int kMaxVariantStreamNesting = 64;
void WriteVariantProc(TStream& AStream, const Variant& V);
void ReadVariantProc(TStream& AStream, Variant& V);
Variant ReadVariantFunc(TStream& AStream);

// Untagged formats (little-endian). Lengths read from a stream are checked against the bytes
// that remain before anything is allocated.
void ReadAnsiStringProc(TStream& AStream, AnsiString& S);
AnsiString ReadAnsiStringFunc(TStream& AStream);
void WriteAnsiStringProc(TStream& AStream, const AnsiString& S);
void ReadWideStringProc(TStream& AStream, String& S);
String ReadWideStringFunc(TStream& AStream);
void WriteWideStringProc(TStream& AStream, const String& S);
void ReadBooleanProc(TStream& AStream, bool& AValue);
bool ReadBooleanFunc(TStream& AStream);
void WriteBooleanProc(TStream& AStream, bool AValue);
// 10-byte extended precision.
void ReadFloatProc(TStream& AStream, double& AValue);
void WriteFloatProc(TStream& AStream, double AValue);
void ReadSingleProc(TStream& AStream, float& AValue);
void WriteSingleProc(TStream& AStream, float AValue);
void ReadCurrencyProc(TStream& AStream, Currency& AValue);
Currency ReadCurrencyFunc(TStream& AStream);
void WriteCurrencyProc(TStream& AStream, Currency AValue);
void ReadDateTimeProc(TStream& AStream, TDateTime& AValue);
TDateTime ReadDateTimeFunc(TStream& AStream);
void WriteDateTimeProc(TStream& AStream, TDateTime AValue);
void ReadIntegerProc(TStream& AStream, int32_t& AValue);
int32_t ReadIntegerFunc(TStream& AStream);
void WriteIntegerProc(TStream& AStream, int32_t AValue);
void ReadLargeIntProc(TStream& AStream, int64_t& AValue);
int64_t ReadLargeIntFunc(TStream& AStream);
void WriteLargeIntProc(TStream& AStream, int64_t AValue);
void ReadSmallIntProc(TStream& AStream, int16_t& AValue);
int16_t ReadSmallIntFunc(TStream& AStream);
void WriteSmallIntProc(TStream& AStream, int16_t AValue);
void ReadWordProc(TStream& AStream, uint16_t& AValue);
uint16_t ReadWordFunc(TStream& AStream);
void WriteWordProc(TStream& AStream, uint16_t AValue);

// The 80-bit extended format of the stream: 64-bit significand with an explicit integer bit,
// 15-bit biased exponent and sign, little-endian. A double converts exactly; reading rounds to
// the nearest double (ties to even), overflowing to infinity.
void DoubleToExtended80(double AValue, uint8_t ABytes[10]);
double Extended80ToDouble(const uint8_t ABytes[10]);

}  // namespace qd
