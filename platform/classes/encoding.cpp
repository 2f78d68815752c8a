#include "platform/classes/encoding.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <string_view>

#include "platform/base/strings.h"

namespace qd {
namespace {

std::string_view AsChars(std::span<const uint8_t> b) {
  return {reinterpret_cast<const char*>(b.data()), b.size()};
}

class TUTF8Encoding : public TEncoding {
 public:
  explicit TUTF8Encoding(bool bom) : bom_(bom) {}
  String GetString(std::span<const uint8_t> b) const override { return Utf8ToString(AsChars(b)); }
  TBytes GetBytes(StringView s) const override {
    std::string u = StringToUtf8(s);
    return TBytes(u.begin(), u.end());
  }
  TBytes GetPreamble() const override { return bom_ ? TBytes{0xEF, 0xBB, 0xBF} : TBytes{}; }
  uint32_t CodePage() const override { return CP_UTF8; }

 private:
  bool bom_;
};

class TUnicodeEncoding : public TEncoding {
 public:
  explicit TUnicodeEncoding(bool bigEndian) : be_(bigEndian) {}
  String GetString(std::span<const uint8_t> b) const override {
    String s;
    s.reserve(b.size() / 2);
    for (size_t i = 0; i + 1 < b.size(); i += 2)
      s.push_back(be_ ? static_cast<Char>((b[i] << 8) | b[i + 1])
                      : static_cast<Char>(b[i] | (b[i + 1] << 8)));
    return s;
  }
  TBytes GetBytes(StringView s) const override {
    TBytes out;
    out.reserve(s.size() * 2);
    for (Char c : s) {
      uint8_t lo = static_cast<uint8_t>(c & 0xFF), hi = static_cast<uint8_t>(c >> 8);
      if (be_) {
        out.push_back(hi);
        out.push_back(lo);
      } else {
        out.push_back(lo);
        out.push_back(hi);
      }
    }
    return out;
  }
  TBytes GetPreamble() const override { return be_ ? TBytes{0xFE, 0xFF} : TBytes{0xFF, 0xFE}; }
  uint32_t CodePage() const override { return be_ ? 1201 : 1200; }

 private:
  bool be_;
};

class TCodePageEncoding : public TEncoding {
 public:
  explicit TCodePageEncoding(uint32_t cp) : cp_(cp) {}
  String GetString(std::span<const uint8_t> b) const override {
    if (cp_ == 20127) {  // ASCII: bytes above 0x7F are not characters
      String s;
      for (uint8_t c : b) s.push_back(c < 0x80 ? c : u'?');
      return s;
    }
    return DecodeCodePage(AsChars(b), cp_);
  }
  TBytes GetBytes(StringView s) const override {
    if (cp_ == 20127) {
      TBytes out;
      for (Char c : s) out.push_back(c < 0x80 ? static_cast<uint8_t>(c) : '?');
      return out;
    }
    std::string e = EncodeCodePage(s, cp_);
    return TBytes(e.begin(), e.end());
  }
  TBytes GetPreamble() const override { return {}; }
  uint32_t CodePage() const override { return cp_; }
  bool IsSingleByte() const override { return true; }

 private:
  uint32_t cp_;
};

struct Encodings {
  std::mutex lock;
  std::map<uint32_t, std::unique_ptr<TEncoding>> byCodePage;
};
Encodings& Cache() {
  static Encodings e;
  return e;
}

bool StartsWith(std::span<const uint8_t> b, const TBytes& p) {
  return !p.empty() && b.size() >= p.size() && std::equal(p.begin(), p.end(), b.begin());
}

}  // namespace

TEncoding* TEncoding::UTF8() {
  static TUTF8Encoding e(true);
  return &e;
}
TEncoding* TEncoding::UTF8NoBOM() {
  static TUTF8Encoding e(false);
  return &e;
}
TEncoding* TEncoding::Unicode() {
  static TUnicodeEncoding e(false);
  return &e;
}
TEncoding* TEncoding::BigEndianUnicode() {
  static TUnicodeEncoding e(true);
  return &e;
}
TEncoding* TEncoding::ANSI() {
  return GetEncoding(CP_WINDOWS1252);
}
TEncoding* TEncoding::ASCII() {
  return GetEncoding(20127);
}

TEncoding* TEncoding::GetEncoding(uint32_t cp) {
  switch (cp) {
    case CP_UTF8:
      return UTF8();
    case 1200:
      return Unicode();
    case 1201:
      return BigEndianUnicode();
    default:
      break;
  }
  auto& c = Cache();
  std::lock_guard g(c.lock);
  auto& slot = c.byCodePage[cp];
  if (!slot) {
    if (cp != 20127) DecodeCodePage("A", cp);  // raises EConvertError for an unknown code page
    slot = std::make_unique<TCodePageEncoding>(cp);
  }
  return slot.get();
}

int TEncoding::GetBufferEncoding(std::span<const uint8_t> Buffer, TEncoding*& AEncoding,
                                 TEncoding* ADefaultEncoding) {
  if (!AEncoding) {
    for (TEncoding* e : {UTF8(), Unicode(), BigEndianUnicode()}) {
      if (StartsWith(Buffer, e->GetPreamble())) {
        AEncoding = e;
        return static_cast<int>(e->GetPreamble().size());
      }
    }
    AEncoding = ADefaultEncoding;
    return 0;
  }
  TBytes p = AEncoding->GetPreamble();
  return StartsWith(Buffer, p) ? static_cast<int>(p.size()) : 0;
}

String DecodeTextBytes(std::span<const uint8_t> Bytes, TEncoding** Encoding) {
  TEncoding* enc = nullptr;
  int bom = TEncoding::GetBufferEncoding(Bytes, enc, nullptr);
  if (Encoding) *Encoding = enc;
  if (enc) return enc->GetString(Bytes.subspan(static_cast<size_t>(bom)));
  if (IsValidUtf8(AsChars(Bytes))) return Utf8ToString(AsChars(Bytes));
  return DecodeCodePage(AsChars(Bytes), CP_WINDOWS1252);
}

}  // namespace qd
