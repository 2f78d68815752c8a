// Single-byte code pages and UTF-8 validation.
#include <iconv.h>

#include <array>
#include <cerrno>
#include <string>

#include "platform/base/exceptions.h"
#include "platform/base/strings.h"

namespace qd {
namespace {

// Bytes 0x80..0xFF. The five bytes Windows-1252 leaves undefined map to the C1 control
// with the same number, as the platform's converter does, so they round-trip.
constexpr std::array<uint16_t, 128> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152,
    0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122,
    0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, 0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF, 0x00B0, 0x00B1, 0x00B2, 0x00B3,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF, 0x00C0,
    0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7, 0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD,
    0x00CE, 0x00CF, 0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7, 0x00D8, 0x00D9, 0x00DA,
    0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF, 0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF, 0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4,
    0x00F5, 0x00F6, 0x00F7, 0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,
};

constexpr std::array<uint16_t, 128> kCp437High = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320,
    0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

const std::array<uint16_t, 128>* HighTable(uint32_t codePage) {
  switch (codePage) {
    case CP_WINDOWS1252:
      return &kCp1252High;
    case CP_OEM437:
      return &kCp437High;
    default:
      return nullptr;
  }
}

char EncodeSingle(const std::array<uint16_t, 128>* high, uint32_t cp) {
  if (cp < 0x80) return static_cast<char>(cp);
  if (!high) return cp <= 0xFF ? static_cast<char>(cp) : '?';  // Latin-1
  for (size_t i = 0; i < high->size(); ++i)
    if ((*high)[i] == cp) return static_cast<char>(0x80 + i);
  return '?';
}

// Any other code page goes through the C library's converter under its "CP<n>" name.
class Iconv {
 public:
  Iconv(const std::string& to, const std::string& from) : cd_(iconv_open(to.c_str(), from.c_str())) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw EConvertError(u"Unsupported code page");
  }
  ~Iconv() { iconv_close(cd_); }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

std::string CodePageName(uint32_t codePage) {
  return "CP" + std::to_string(codePage);
}

String DecodeWithIconv(std::string_view bytes, uint32_t codePage) {
  Iconv cd("UTF-16LE", CodePageName(codePage));
  String out;
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  char16_t buf[256];
  while (inLeft > 0) {
    char* o = reinterpret_cast<char*>(buf);
    size_t oLeft = sizeof(buf);
    size_t r = iconv(cd.get(), &in, &inLeft, &o, &oLeft);
    out.append(buf, (sizeof(buf) - oLeft) / 2);
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      out.push_back(0xFFFD);  // invalid or truncated sequence: skip one byte
      ++in;
      --inLeft;
    }
  }
  return out;
}

std::string EncodeWithIconv(StringView s, uint32_t codePage) {
  Iconv cd(CodePageName(codePage), "UTF-16LE");
  std::string out;
  char buf[256];
  size_t i = 0;
  while (i < s.size()) {
    size_t units = 1;
    if (s[i] >= 0xD800 && s[i] <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF)
      units = 2;
    char* in = reinterpret_cast<char*>(const_cast<char16_t*>(s.data() + i));
    size_t inLeft = units * 2;
    char* o = buf;
    size_t oLeft = sizeof(buf);
    size_t r = iconv(cd.get(), &in, &inLeft, &o, &oLeft);
    if (r == static_cast<size_t>(-1)) {
      iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
      out.push_back('?');
    } else {
      out.append(buf, sizeof(buf) - oLeft);
    }
    i += units;
  }
  // Flush any shift state.
  char* o = buf;
  size_t oLeft = sizeof(buf);
  iconv(cd.get(), nullptr, nullptr, &o, &oLeft);
  out.append(buf, sizeof(buf) - oLeft);
  return out;
}

}  // namespace

String DecodeCodePage(std::string_view bytes, uint32_t codePage) {
  if (codePage == CP_UTF8) return Utf8ToString(bytes);
  const auto* high = HighTable(codePage);
  if (!high && codePage != CP_LATIN1) return DecodeWithIconv(bytes, codePage);
  String out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    uint8_t b = static_cast<uint8_t>(ch);
    out.push_back(b < 0x80 || !high ? static_cast<Char>(b) : static_cast<Char>((*high)[b - 0x80]));
  }
  return out;
}

std::string EncodeCodePage(StringView s, uint32_t codePage) {
  if (codePage == CP_UTF8) return StringToUtf8(s);
  const auto* high = HighTable(codePage);
  if (!high && codePage != CP_LATIN1) return EncodeWithIconv(s, codePage);
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    uint32_t cp = s[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      ++i;  // a supplementary character is one unmappable character
      out.push_back('?');
      continue;
    }
    out.push_back(EncodeSingle(high, cp));
  }
  return out;
}

bool IsValidUtf8(std::string_view in) {
  size_t i = 0;
  const size_t n = in.size();
  auto cont = [&](size_t k) { return k < n && (static_cast<uint8_t>(in[k]) & 0xC0) == 0x80; };
  while (i < n) {
    uint8_t c = static_cast<uint8_t>(in[i]);
    if (c < 0x80) {
      ++i;
    } else if (c >= 0xC2 && c <= 0xDF) {
      if (!cont(i + 1)) return false;
      i += 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
      if (!cont(i + 1) || !cont(i + 2)) return false;
      uint8_t c1 = static_cast<uint8_t>(in[i + 1]);
      if (c == 0xE0 && c1 < 0xA0) return false;   // overlong
      if (c == 0xED && c1 >= 0xA0) return false;  // surrogate
      i += 3;
    } else if (c >= 0xF0 && c <= 0xF4) {
      if (!cont(i + 1) || !cont(i + 2) || !cont(i + 3)) return false;
      uint8_t c1 = static_cast<uint8_t>(in[i + 1]);
      if (c == 0xF0 && c1 < 0x90) return false;   // overlong
      if (c == 0xF4 && c1 >= 0x90) return false;  // above U+10FFFF
      i += 4;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace qd
