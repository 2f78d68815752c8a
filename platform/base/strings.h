#pragma once
// Run-time text helpers over UTF-16 String: conversions, numbers, case, trimming.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/types.h"

namespace qd {

// UTF-8 <-> UTF-16. Invalid UTF-8 sequences become U+FFFD; unpaired surrogates are
// written as U+FFFD when converting to UTF-8.
String Utf8ToString(std::string_view utf8);
std::string StringToUtf8(StringView s);

// Code pages the system uses: 65001 (UTF-8), 1252 (Western), 28591 (Latin-1), 437 (OEM US).
constexpr uint32_t CP_UTF8 = 65001;
constexpr uint32_t CP_WINDOWS1252 = 1252;
constexpr uint32_t CP_LATIN1 = 28591;
constexpr uint32_t CP_OEM437 = 437;
String DecodeCodePage(std::string_view bytes, uint32_t codePage);
// Characters the code page cannot hold become '?'.
std::string EncodeCodePage(StringView s, uint32_t codePage);
// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

String IntToStr(int64_t v);
String UIntToStr(uint64_t v);
// Upper-case hexadecimal, at least `digits` digits.
String IntToHex(uint64_t v, int digits);
// The value of a hexadecimal digit (either case), -1 for any other character. Takes a
// UTF-16 code unit or a byte alike.
constexpr int HexDigitValue(char32_t c) {
  if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
  if (c >= U'a' && c <= U'f') return static_cast<int>(c - U'a' + 10);
  if (c >= U'A' && c <= U'F') return static_cast<int>(c - U'A' + 10);
  return -1;
}
// The digit of the low four bits of v.
constexpr char HexDigitChar(unsigned v, bool upper = true) {
  return (upper ? "0123456789ABCDEF" : "0123456789abcdef")[v & 0xF];
}
// Accepts leading and trailing blanks, a sign, decimal digits or "$"/"0x"/"x" hexadecimal;
// returns the default on anything else or on overflow. Hexadecimal may use the full
// unsigned width and wraps ("$FFFFFFFF" is -1), as the original does.
int32_t StrToIntDef(StringView s, int32_t def);
int64_t StrToInt64Def(StringView s, int64_t def);
// Raises EConvertError "'<s>' is not a valid integer value".
int32_t StrToInt(StringView s);
bool TryStrToInt(StringView s, int32_t& value);
bool TryStrToInt64(StringView s, int64_t& value);

// Case conversion (full Unicode simple case mapping) and comparisons.
String UpperCase(StringView s);
String LowerCase(StringView s);
Char UpCase(Char c);
Char LoCase(Char c);
bool SameText(StringView a, StringView b);
// <0, 0, >0 like the original's CompareText/CompareStr.
int CompareText(StringView a, StringView b);
int CompareStr(StringView a, StringView b);

String Trim(StringView s);  // removes characters <= ' ' at both ends
String TrimLeft(StringView s);
String TrimRight(StringView s);

bool StartsText(StringView prefix, StringView s);  // case-insensitive
bool EndsText(StringView suffix, StringView s);    // case-insensitive
bool StartsStr(StringView prefix, StringView s);
bool EndsStr(StringView suffix, StringView s);
bool ContainsStr(StringView s, StringView part);
// Replaces every occurrence (case-sensitive).
String StringReplaceAll(StringView s, StringView from, StringView to);

// The original's Copy(s, index1, count) with its clamping: index1 is 1-based; an index
// below 1 counts as 1, a count below 0 as 0, and the slice ends at the end of s.
String Copy(StringView s, int64_t index1, int64_t count);
// The original's Pos(sub, s): 1-based position of the first occurrence, 0 when absent
// or when sub is empty.
int64_t Pos(StringView sub, StringView s);

}  // namespace qd
