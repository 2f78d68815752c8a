#include "platform/base/strings.h"

#include <algorithm>

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

bool StartsStr(StringView prefix, StringView s) { return s.substr(0, prefix.size()) == prefix; }
bool EndsStr(StringView suffix, StringView s) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}
bool ContainsStr(StringView s, StringView part) { return s.find(part) != StringView::npos; }

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

}  // namespace qd
