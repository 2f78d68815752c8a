#include "ui/core/cxVariants.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include "ui/core/dxCore.h"
#include "platform/base/fmtbcd.h"
#include "platform/base/sqltimst.h"
#include "platform/base/strings.h"
#include "platform/classes/streams.h"

namespace qd {

namespace {

// Value kinds of the tagged stream (the component-streaming value kinds).
enum TValueKind : uint8_t {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,
  vaString = 6,
  vaFalse = 8,
  vaTrue = 9,
  vaLString = 12,
  vaNil = 13,
  vaSingle = 15,
  vaCurrency = 16,
  vaDate = 17,
  vaWString = 18,
  vaInt64 = 19,
};

[[noreturn]] void RaiseWriteError() {
  throw EWriteError(u"Stream write error");
}

// Bytes left behind the position; a stream that cannot tell counts as unlimited.
int64_t Remaining(TStream& AStream) {
  const int64_t size = AStream.Size();
  const int64_t position = AStream.Position();
  if (size < 0 || position < 0) return std::numeric_limits<int64_t>::max();
  return std::max<int64_t>(size - position, 0);
}

void CheckRemaining(TStream& AStream, int64_t ACount) {
  if (ACount < 0 || ACount > Remaining(AStream)) RaiseReadError();
}

template <class T>
T ReadRaw(TStream& AStream) {
  T value;
  AStream.ReadBuffer(&value, sizeof(T));
  return value;
}

template <class T>
void WriteRaw(TStream& AStream, T AValue) {
  AStream.WriteBuffer(&AValue, sizeof(T));
}

void WriteTag(TStream& AStream, TValueKind AKind) {
  WriteRaw<uint8_t>(AStream, AKind);
}

void WriteTaggedInteger(TStream& AStream, int64_t AValue) {
  if (AValue >= -128 && AValue <= 127) {
    WriteTag(AStream, vaInt8);
    WriteRaw<int8_t>(AStream, static_cast<int8_t>(AValue));
  } else if (AValue >= -32768 && AValue <= 32767) {
    WriteTag(AStream, vaInt16);
    WriteRaw<int16_t>(AStream, static_cast<int16_t>(AValue));
  } else if (AValue >= INT32_MIN && AValue <= INT32_MAX) {
    WriteTag(AStream, vaInt32);
    WriteRaw<int32_t>(AStream, static_cast<int32_t>(AValue));
  } else {
    WriteTag(AStream, vaInt64);
    WriteRaw<int64_t>(AStream, AValue);
  }
}

int64_t ReadTaggedInteger(TStream& AStream) {
  switch (ReadRaw<uint8_t>(AStream)) {
    case vaInt8:
      return ReadRaw<int8_t>(AStream);
    case vaInt16:
      return ReadRaw<int16_t>(AStream);
    case vaInt32:
      return ReadRaw<int32_t>(AStream);
    default:
      return ReadRaw<int64_t>(AStream);
  }
}

void WriteByteString(TStream& AStream, const AnsiString& S) {
  if (S.size() <= 255) {
    WriteTag(AStream, vaString);
    WriteRaw<uint8_t>(AStream, static_cast<uint8_t>(S.size()));
  } else {
    if (S.size() > static_cast<size_t>(INT32_MAX)) RaiseWriteError();
    WriteTag(AStream, vaLString);
    WriteRaw<int32_t>(AStream, static_cast<int32_t>(S.size()));
  }
  if (!S.empty()) AStream.WriteBuffer(S.data(), static_cast<int64_t>(S.size()));
}

AnsiString ReadBytes(TStream& AStream, int64_t ACount) {
  CheckRemaining(AStream, ACount);
  AnsiString s(static_cast<size_t>(ACount), '\0');
  if (ACount > 0) AStream.ReadBuffer(s.data(), ACount);
  return s;
}

String ReadUnits(TStream& AStream, int64_t ACount) {
  if (ACount < 0) RaiseReadError();
  CheckRemaining(AStream, 2 * ACount);
  String s(static_cast<size_t>(ACount), u'\0');
  if (ACount > 0) AStream.ReadBuffer(s.data(), 2 * ACount);
  return s;
}

void WriteUnits(TStream& AStream, const String& S) {
  if (S.size() > static_cast<size_t>(INT32_MAX)) RaiseWriteError();
  WriteRaw<int32_t>(AStream, static_cast<int32_t>(S.size()));
  if (!S.empty()) AStream.WriteBuffer(S.data(), 2 * static_cast<int64_t>(S.size()));
}

void WriteVariant(TStream& AStream, const Variant& V) {
  if (V.IsArray()) {
    if (VarArrayDimCount(V) != 1) RaiseWriteError();
    const int64_t low = VarArrayLowBound(V, 1);
    const int64_t high = VarArrayHighBound(V, 1);
    WriteTag(AStream, vaList);
    WriteTaggedInteger(AStream, high - low + 1);
    for (int64_t i = low; i <= high; ++i) WriteVariant(AStream, VarArrayGet(V, i));
    return;
  }
  const TVarType type = static_cast<TVarType>(V.Type() & ~varByRef);
  switch (type) {
    case varEmpty:
      WriteTag(AStream, vaNil);
      return;
    case varNull:
      WriteTag(AStream, vaNull);
      return;
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
      WriteTaggedInteger(AStream, V.AsInt64());
      return;
    case varSingle:
      WriteTag(AStream, vaSingle);
      WriteRaw<float>(AStream, V.AsSingle());
      return;
    case varDouble: {
      uint8_t extended[10];
      DoubleToExtended80(V.AsDouble(), extended);
      WriteTag(AStream, vaExtended);
      AStream.WriteBuffer(extended, 10);
      return;
    }
    case varCurrency:
      WriteTag(AStream, vaCurrency);
      WriteRaw<int64_t>(AStream, V.AsCurrency().Value);
      return;
    case varDate:
      WriteTag(AStream, vaDate);
      WriteRaw<double>(AStream, V.AsDateTime());
      return;
    case varOleStr:
    case varUString:
      WriteTag(AStream, vaWString);
      WriteUnits(AStream, V.AsString());
      return;
    case varBoolean:
      WriteTag(AStream, V.AsBoolean() ? vaTrue : vaFalse);
      return;
    case varString:
      WriteByteString(AStream, V.AsAnsiString());
      return;
    default:
      break;
  }
  if (type == VarSQLTimeStamp()) {
    WriteTag(AStream, vaDate);
    WriteRaw<double>(AStream, VarAsType(V, varDate).AsDateTime());
    return;
  }
  AnsiString text;
  try {
    text = dxVariantToAnsiString(V);
  } catch (const Exception&) {
    RaiseWriteError();
  }
  WriteByteString(AStream, text);
}

void ReadVariant(TStream& AStream, Variant& V, int ADepth) {
  V = Null();
  const uint8_t tag = ReadRaw<uint8_t>(AStream);
  switch (tag) {
    case vaNull:
      return;
    case vaList: {
      if (ADepth >= kMaxVariantStreamNesting) RaiseReadError();
      const int64_t count = ReadTaggedInteger(AStream);
      // Every element takes at least its tag byte; the list grows with what is actually read.
      CheckRemaining(AStream, count);
      std::vector<Variant> items;
      items.reserve(static_cast<size_t>(std::min<int64_t>(count, 1024)));
      for (int64_t i = 0; i < count; ++i) ReadVariant(AStream, items.emplace_back(), ADepth + 1);
      V = VarArrayOf(items);
      return;
    }
    case vaInt8:
      V = static_cast<signed char>(ReadRaw<int8_t>(AStream));
      return;
    case vaInt16:
      V = static_cast<short>(ReadRaw<int16_t>(AStream));
      return;
    case vaInt32:
      V = static_cast<int>(ReadRaw<int32_t>(AStream));
      return;
    case vaExtended: {
      uint8_t extended[10];
      AStream.ReadBuffer(extended, 10);
      V = Extended80ToDouble(extended);
      return;
    }
    case vaString:
      V = Variant::FromAnsiString(ReadBytes(AStream, ReadRaw<uint8_t>(AStream)));
      return;
    case vaFalse:
      V = false;
      return;
    case vaTrue:
      V = true;
      return;
    case vaLString:
      V = Variant::FromAnsiString(ReadBytes(AStream, ReadRaw<int32_t>(AStream)));
      return;
    case vaNil:
      V = Variant();
      return;
    case vaSingle:
      V = ReadRaw<float>(AStream);
      return;
    case vaCurrency:
      V = Currency{ReadRaw<int64_t>(AStream)};
      return;
    case vaDate:
      V = Variant::FromDate(ReadRaw<double>(AStream));
      return;
    case vaWString:
      V = Variant::FromOleStr(ReadUnits(AStream, ReadRaw<int32_t>(AStream)));
      return;
    case vaInt64:
      V = static_cast<int64_t>(ReadRaw<int64_t>(AStream));
      return;
    default:
      RaiseReadError();
  }
}

// Converts the variant's platform comparison into -1, 0 or 1 with the library's rules.
int32_t CompareScalars(const Variant& V1, const Variant& V2) {
  if (V1.IsEmpty()) return V2.IsEmpty() ? 0 : -1;
  if (V2.IsEmpty()) return 1;
  try {
    if (V1 == V2) return 0;
    if (V1.IsNull()) return -1;
    if (V2.IsNull()) return 1;
    return V1 < V2 ? -1 : 1;
  } catch (const EVariantTypeCastError&) {
    return -1;
  } catch (const EVariantOverflowError&) {
    return -1;
  }
}

int32_t ClampToInt32(int64_t AValue) {
  return static_cast<int32_t>(std::clamp<int64_t>(AValue, INT32_MIN, INT32_MAX));
}

}  // namespace

// --- Comparison --------------------------------------------------------------------

int32_t VarCompare(const Variant& V1, const Variant& V2) {
  const bool array1 = V1.IsArray();
  const bool array2 = V2.IsArray();
  if (!array1 && !array2) return CompareScalars(V1, V2);
  if (!array2) return 1;
  if (!array1) return -1;
  const int64_t low1 = VarArrayLowBound(V1, 1);
  const int64_t low2 = VarArrayLowBound(V2, 1);
  const int64_t high1 = VarArrayHighBound(V1, 1);
  const int64_t high2 = VarArrayHighBound(V2, 1);
  if (high1 != high2) return ClampToInt32(high1 - high2);
  // Elements in order from each array's own low bound; with the same high bound but other low
  // bounds the common positions decide first, then the sizes.
  const int64_t count1 = high1 - low1 + 1;
  const int64_t count2 = high2 - low2 + 1;
  const int64_t common = std::min(count1, count2);
  for (int64_t k = 0; k < common; ++k) {
    const int32_t result = VarCompare(VarArrayGet(V1, low1 + k), VarArrayGet(V2, low2 + k));
    if (result != 0) return result;
  }
  return ClampToInt32(count1 - count2);
}

bool VarEquals(const Variant& V1, const Variant& V2) {
  return VarCompare(V1, V2) == 0;
}

bool VarEqualsExact(const Variant& V1, const Variant& V2) {
  const bool boolean = V1.Type() == varBoolean || V2.Type() == varBoolean;
  if (V1.IsNull() || V2.IsNull() || !boolean) return VarEquals(V1, V2);
  try {
    return V1.AsString() == V2.AsString();
  } catch (const EVariantError&) {
    return false;
  }
}

bool VarIsDate(const Variant& V) {
  const TVarType type = static_cast<TVarType>(V.Type() & ~varByRef);
  return type == varDate || type == VarSQLTimeStamp();
}

bool VarIsNumericEx(const Variant& V) {
  return VarIsNumeric(V) || V.Type() == VarFMTBcd();
}

bool VarIsSoftNull(const Variant& V) {
  return V.IsNull() || (VarIsStr(V) && V.AsString().empty());
}

// --- Tagged stream -----------------------------------------------------------------

void WriteVariantProc(TStream& AStream, const Variant& V) {
  WriteVariant(AStream, V);
}

void ReadVariantProc(TStream& AStream, Variant& V) {
  ReadVariant(AStream, V, 0);
}

Variant ReadVariantFunc(TStream& AStream) {
  Variant v;
  ReadVariantProc(AStream, v);
  return v;
}

// --- Untagged formats --------------------------------------------------------------

void ReadAnsiStringProc(TStream& AStream, AnsiString& S) {
  S = ReadBytes(AStream, ReadRaw<int32_t>(AStream));
}
AnsiString ReadAnsiStringFunc(TStream& AStream) {
  return ReadBytes(AStream, ReadRaw<int32_t>(AStream));
}
void WriteAnsiStringProc(TStream& AStream, const AnsiString& S) {
  if (S.size() > static_cast<size_t>(INT32_MAX)) RaiseWriteError();
  WriteRaw<int32_t>(AStream, static_cast<int32_t>(S.size()));
  if (!S.empty()) AStream.WriteBuffer(S.data(), static_cast<int64_t>(S.size()));
}

void ReadWideStringProc(TStream& AStream, String& S) {
  S = ReadUnits(AStream, ReadRaw<int32_t>(AStream));
}
String ReadWideStringFunc(TStream& AStream) {
  return ReadUnits(AStream, ReadRaw<int32_t>(AStream));
}
void WriteWideStringProc(TStream& AStream, const String& S) {
  WriteUnits(AStream, S);
}

void ReadBooleanProc(TStream& AStream, bool& AValue) {
  AValue = ReadRaw<uint8_t>(AStream) != 0;
}
bool ReadBooleanFunc(TStream& AStream) {
  return ReadRaw<uint8_t>(AStream) != 0;
}
void WriteBooleanProc(TStream& AStream, bool AValue) {
  WriteRaw<uint8_t>(AStream, AValue ? 1 : 0);
}

void ReadFloatProc(TStream& AStream, double& AValue) {
  uint8_t extended[10];
  AStream.ReadBuffer(extended, 10);
  AValue = Extended80ToDouble(extended);
}
void WriteFloatProc(TStream& AStream, double AValue) {
  uint8_t extended[10];
  DoubleToExtended80(AValue, extended);
  AStream.WriteBuffer(extended, 10);
}

void ReadSingleProc(TStream& AStream, float& AValue) {
  AValue = ReadRaw<float>(AStream);
}
void WriteSingleProc(TStream& AStream, float AValue) {
  WriteRaw<float>(AStream, AValue);
}

void ReadCurrencyProc(TStream& AStream, Currency& AValue) {
  AValue = Currency{ReadRaw<int64_t>(AStream)};
}
Currency ReadCurrencyFunc(TStream& AStream) {
  return Currency{ReadRaw<int64_t>(AStream)};
}
void WriteCurrencyProc(TStream& AStream, Currency AValue) {
  WriteRaw<int64_t>(AStream, AValue.Value);
}

void ReadDateTimeProc(TStream& AStream, TDateTime& AValue) {
  AValue = ReadRaw<double>(AStream);
}
TDateTime ReadDateTimeFunc(TStream& AStream) {
  return ReadRaw<double>(AStream);
}
void WriteDateTimeProc(TStream& AStream, TDateTime AValue) {
  WriteRaw<double>(AStream, AValue);
}

void ReadIntegerProc(TStream& AStream, int32_t& AValue) {
  AValue = ReadRaw<int32_t>(AStream);
}
int32_t ReadIntegerFunc(TStream& AStream) {
  return ReadRaw<int32_t>(AStream);
}
void WriteIntegerProc(TStream& AStream, int32_t AValue) {
  WriteRaw<int32_t>(AStream, AValue);
}

void ReadLargeIntProc(TStream& AStream, int64_t& AValue) {
  AValue = ReadRaw<int64_t>(AStream);
}
int64_t ReadLargeIntFunc(TStream& AStream) {
  return ReadRaw<int64_t>(AStream);
}
void WriteLargeIntProc(TStream& AStream, int64_t AValue) {
  WriteRaw<int64_t>(AStream, AValue);
}

void ReadSmallIntProc(TStream& AStream, int16_t& AValue) {
  AValue = ReadRaw<int16_t>(AStream);
}
int16_t ReadSmallIntFunc(TStream& AStream) {
  return ReadRaw<int16_t>(AStream);
}
void WriteSmallIntProc(TStream& AStream, int16_t AValue) {
  WriteRaw<int16_t>(AStream, AValue);
}

void ReadWordProc(TStream& AStream, uint16_t& AValue) {
  AValue = ReadRaw<uint16_t>(AStream);
}
uint16_t ReadWordFunc(TStream& AStream) {
  return ReadRaw<uint16_t>(AStream);
}
void WriteWordProc(TStream& AStream, uint16_t AValue) {
  WriteRaw<uint16_t>(AStream, AValue);
}

// --- 80-bit extended ---------------------------------------------------------------

void DoubleToExtended80(double AValue, uint8_t ABytes[10]) {
  const uint64_t bits = std::bit_cast<uint64_t>(AValue);
  const uint16_t sign = (bits >> 63) ? 0x8000 : 0;
  const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
  const uint64_t mantissa = bits & ((uint64_t{1} << 52) - 1);
  uint64_t significand = 0;
  int biased = 0;
  if (exponent == 0x7FF) {
    biased = 0x7FFF;
    significand = (uint64_t{1} << 63) | (mantissa << 11);
  } else if (exponent != 0) {
    biased = exponent - 1023 + 16383;
    significand = (uint64_t{1} << 63) | (mantissa << 11);
  } else if (mantissa != 0) {
    const int top = 63 - std::countl_zero(mantissa);  // value = mantissa * 2^-1074
    significand = mantissa << (63 - top);
    biased = top - 1074 + 16383;
  }
  const uint16_t head = static_cast<uint16_t>(sign | biased);
  std::memcpy(ABytes, &significand, 8);
  std::memcpy(ABytes + 8, &head, 2);
}

double Extended80ToDouble(const uint8_t ABytes[10]) {
  uint64_t significand;
  uint16_t head;
  std::memcpy(&significand, ABytes, 8);
  std::memcpy(&head, ABytes + 8, 2);
  const uint64_t sign = static_cast<uint64_t>(head >> 15) << 63;
  const int biased = head & 0x7FFF;
  constexpr uint64_t kInfinity = uint64_t{0x7FF} << 52;
  if (biased == 0x7FFF) {
    const uint64_t fraction = significand & ~(uint64_t{1} << 63);
    if (fraction == 0 && (significand >> 63)) return std::bit_cast<double>(sign | kInfinity);
    // NaN (also the invalid pseudo-infinity): keep the payload's top bits, quiet.
    return std::bit_cast<double>(sign | kInfinity | (uint64_t{1} << 51) | (fraction >> 11));
  }
  if (significand == 0) return std::bit_cast<double>(sign);
  // value = significand * 2^(e - 63) with e the unbiased exponent of bit 63.
  const int shift = std::countl_zero(significand);
  significand <<= shift;
  const int e = (biased == 0 ? 1 : biased) - 16383 - shift;
  if (e > 1023) return std::bit_cast<double>(sign | kInfinity);
  // Bits of the significand that do not fit: 11 for a normal double, more for a subnormal.
  const int drop = e >= -1022 ? 11 : 11 + (-1022 - e);
  if (drop > 64) return std::bit_cast<double>(sign);
  uint64_t kept = drop == 64 ? 0 : significand >> drop;
  const uint64_t rest = drop == 64 ? significand : significand & ((uint64_t{1} << drop) - 1);
  const uint64_t half = uint64_t{1} << (drop - 1);
  if (rest > half || (rest == half && (kept & 1))) ++kept;
  if (e >= -1022) {
    int exponent = e + 1023;
    if (kept >> 53) {  // rounding carried into a new bit
      kept >>= 1;
      ++exponent;
    }
    if (exponent >= 0x7FF) return std::bit_cast<double>(sign | kInfinity);
    return std::bit_cast<double>(sign | (static_cast<uint64_t>(exponent) << 52) |
                                 (kept & ((uint64_t{1} << 52) - 1)));
  }
  // Subnormal; a carry into bit 52 yields the smallest normal number by itself.
  return std::bit_cast<double>(sign | kept);
}

}  // namespace qd
