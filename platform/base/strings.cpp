#include "platform/base/strings.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <limits>

#include "platform/base/exceptions.h"

namespace qd {

String Utf8ToString(std::string_view in) {
  String out;
  out.reserve(in.size());
  size_t i = 0;
  const size_t n = in.size();
  auto cont = [&](size_t k) { return k < n && (static_cast<uint8_t>(in[k]) & 0xC0) == 0x80; };
  while (i < n) {
    uint8_t c = static_cast<uint8_t>(in[i]);
    uint32_t cp;
    size_t len;
    if (c < 0x80) {
      cp = c;
      len = 1;
    } else if (c >= 0xC2 && c <= 0xDF && cont(i + 1)) {
      cp = ((c & 0x1Fu) << 6) | (static_cast<uint8_t>(in[i + 1]) & 0x3F);
      len = 2;
    } else if (c >= 0xE0 && c <= 0xEF && cont(i + 1) && cont(i + 2)) {
      cp = ((c & 0x0Fu) << 12) | ((static_cast<uint8_t>(in[i + 1]) & 0x3Fu) << 6) |
           (static_cast<uint8_t>(in[i + 2]) & 0x3F);
      len = 3;
      if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    } else if (c >= 0xF0 && c <= 0xF4 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
      cp = ((c & 0x07u) << 18) | ((static_cast<uint8_t>(in[i + 1]) & 0x3Fu) << 12) |
           ((static_cast<uint8_t>(in[i + 2]) & 0x3Fu) << 6) | (static_cast<uint8_t>(in[i + 3]) & 0x3F);
      len = 4;
      if (cp < 0x10000 || cp > 0x10FFFF) cp = 0xFFFD;
    } else {
      cp = 0xFFFD;
      len = 1;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<Char>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<Char>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<Char>(cp));
    }
    i += len;
  }
  return out;
}

std::string StringToUtf8(StringView s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    uint32_t cp = s[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

String IntToStr(int64_t v) {
  std::string s = std::to_string(v);
  return String(s.begin(), s.end());
}

String UIntToStr(uint64_t v) {
  std::string s = std::to_string(v);
  return String(s.begin(), s.end());
}

String Copy(StringView s, int64_t index1, int64_t count) {
  if (index1 < 1) index1 = 1;
  if (count <= 0 || index1 > static_cast<int64_t>(s.size())) return {};
  size_t start = static_cast<size_t>(index1 - 1);
  size_t len = static_cast<size_t>(std::min<int64_t>(count, static_cast<int64_t>(s.size() - start)));
  return String(s.substr(start, len));
}

int64_t Pos(StringView sub, StringView s) {
  if (sub.empty()) return 0;
  size_t p = s.find(sub);
  return p == StringView::npos ? 0 : static_cast<int64_t>(p) + 1;
}

String Trim(StringView s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] <= u' ') ++b;
  while (e > b && s[e - 1] <= u' ') --e;
  return String(s.substr(b, e - b));
}

String TrimLeft(StringView s) {
  size_t b = 0;
  while (b < s.size() && s[b] <= u' ') ++b;
  return String(s.substr(b));
}

String TrimRight(StringView s) {
  size_t e = s.size();
  while (e > 0 && s[e - 1] <= u' ') --e;
  return String(s.substr(0, e));
}

bool StartsStr(StringView prefix, StringView s) {
  return s.substr(0, prefix.size()) == prefix;
}
bool EndsStr(StringView suffix, StringView s) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}
bool ContainsStr(StringView s, StringView part) {
  return s.find(part) != StringView::npos;
}

String StringReplaceAll(StringView s, StringView from, StringView to) {
  if (from.empty()) return String(s);
  String out;
  size_t i = 0;
  while (true) {
    size_t p = s.find(from, i);
    if (p == StringView::npos) break;
    out.append(s.substr(i, p - i));
    out.append(to);
    i = p + from.size();
  }
  out.append(s.substr(i));
  return out;
}

String IntToHex(uint64_t v, int digits) {
  String out;
  do {
    out.push_back(static_cast<Char>(HexDigitChar(static_cast<unsigned>(v))));
    v >>= 4;
  } while (v != 0);
  while (static_cast<int>(out.size()) < digits) out.push_back(u'0');
  std::reverse(out.begin(), out.end());
  return out;
}

namespace {

// Parses the integer syntax of the original's Val: blanks, an optional sign, then decimal
// digits or '$' / "0x" / 'x' and hexadecimal digits, then blanks. Decimal values must fit
// [minValue, maxValue]; hexadecimal ones may use the full unsigned width and wrap, so
// "$FFFFFFFF" reads as -1 in 32 bits, as the original does.
bool ParseInteger(StringView s, int bits, int64_t& result) {
  size_t i = 0, n = s.size();
  while (i < n && s[i] <= u' ') ++i;
  while (n > i && s[n - 1] <= u' ') --n;
  bool negative = false;
  if (i < n && (s[i] == u'+' || s[i] == u'-')) {
    negative = s[i] == u'-';
    ++i;
  }
  bool hex = false;
  if (i < n && s[i] == u'$') {
    hex = true;
    ++i;
  } else if (i < n && (s[i] == u'x' || s[i] == u'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < n && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
    hex = true;
    i += 2;
  }
  if (i >= n) return false;
  const uint64_t unsignedMax = bits == 64 ? std::numeric_limits<uint64_t>::max() : 0xFFFFFFFFull;
  uint64_t acc = 0;
  for (; i < n; ++i) {
    const int digit = HexDigitValue(s[i]);
    if (digit < 0 || (!hex && digit > 9)) return false;
    const auto d = static_cast<unsigned>(digit);
    const unsigned base = hex ? 16 : 10;
    if (acc > (unsignedMax - d) / base) return false;
    acc = acc * base + d;
  }
  if (hex) {
    uint64_t v = negative ? (0 - acc) : acc;
    result = bits == 64 ? static_cast<int64_t>(v)
                        : static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(v)));
    return true;
  }
  const uint64_t maxPositive =
      bits == 64 ? static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) : 0x7FFFFFFFull;
  if (negative) {
    if (acc > maxPositive + 1) return false;
    result = acc == maxPositive + 1
                 ? (bits == 64 ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int32_t>::min())
                 : -static_cast<int64_t>(acc);
  } else {
    if (acc > maxPositive) return false;
    result = static_cast<int64_t>(acc);
  }
  return true;
}

}  // namespace

bool TryStrToInt(StringView s, int32_t& value) {
  int64_t v;
  if (!ParseInteger(s, 32, v)) return false;
  value = static_cast<int32_t>(v);
  return true;
}

bool TryStrToInt64(StringView s, int64_t& value) {
  return ParseInteger(s, 64, value);
}

int32_t StrToIntDef(StringView s, int32_t def) {
  int32_t v;
  return TryStrToInt(s, v) ? v : def;
}

int64_t StrToInt64Def(StringView s, int64_t def) {
  int64_t v;
  return TryStrToInt64(s, v) ? v : def;
}

int32_t StrToInt(StringView s) {
  int32_t v;
  if (!TryStrToInt(s, v)) throw EConvertError(u"'" + String(s) + u"' is not a valid integer value");
  return v;
}

Char UpCase(Char c) {
  if (c < 0x80) return c >= u'a' && c <= u'z' ? static_cast<Char>(c - 32) : c;
  if (c >= 0xD800 && c <= 0xDFFF) return c;
  UChar32 r = u_toupper(c);
  return r <= 0xFFFF ? static_cast<Char>(r) : c;
}

Char LoCase(Char c) {
  if (c < 0x80) return c >= u'A' && c <= u'Z' ? static_cast<Char>(c + 32) : c;
  if (c >= 0xD800 && c <= 0xDFFF) return c;
  UChar32 r = u_tolower(c);
  return r <= 0xFFFF ? static_cast<Char>(r) : c;
}

namespace {

// Maps each character one to one, so positions in the result match the input.
template <typename MapChar, typename MapCodePoint>
String MapCase(StringView s, MapChar mapChar, MapCodePoint mapCodePoint) {
  String out(s);
  for (size_t i = 0; i < out.size(); ++i) {
    Char c = out[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < out.size() && out[i + 1] >= 0xDC00 && out[i + 1] <= 0xDFFF) {
      UChar32 cp = 0x10000 + ((c - 0xD800) << 10) + (out[i + 1] - 0xDC00);
      UChar32 m = mapCodePoint(cp);
      if (m >= 0x10000) {
        out[i] = static_cast<Char>(0xD800 + ((m - 0x10000) >> 10));
        out[i + 1] = static_cast<Char>(0xDC00 + ((m - 0x10000) & 0x3FF));
      }
      ++i;
    } else {
      out[i] = mapChar(c);
    }
  }
  return out;
}

}  // namespace

String UpperCase(StringView s) {
  return MapCase(s, UpCase, [](UChar32 cp) { return u_toupper(cp); });
}

String LowerCase(StringView s) {
  return MapCase(s, LoCase, [](UChar32 cp) { return u_tolower(cp); });
}

int CompareStr(StringView a, StringView b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return static_cast<int>(a[i]) - static_cast<int>(b[i]);
  return (a.size() > b.size()) - (a.size() < b.size());
}

int CompareText(StringView a, StringView b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    Char x = UpCase(a[i]), y = UpCase(b[i]);
    if (x != y) return static_cast<int>(x) - static_cast<int>(y);
  }
  return (a.size() > b.size()) - (a.size() < b.size());
}

bool SameText(StringView a, StringView b) {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

bool StartsText(StringView prefix, StringView s) {
  return s.size() >= prefix.size() && SameText(s.substr(0, prefix.size()), prefix);
}

bool EndsText(StringView suffix, StringView s) {
  return s.size() >= suffix.size() && SameText(s.substr(s.size() - suffix.size()), suffix);
}

}  // namespace qd
