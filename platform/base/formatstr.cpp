// Format(): printf-like formatting over TVarRec arguments.
#include <cstdint>

#include "platform/base/exceptions.h"
#include "platform/base/format.h"
#include "platform/base/strings.h"

namespace qd {

namespace {

class Formatter {
 public:
  Formatter(StringView fmt, std::initializer_list<TVarRec> args, const TFormatSettings& fs)
      : fmt_(fmt), args_(args.begin()), count_(args.size()), fs_(fs) {}

  String Run() {
    String out;
    size_t i = 0;
    while (i < fmt_.size()) {
      Char c = fmt_[i++];
      if (c != u'%') {
        out.push_back(c);
        continue;
      }
      if (i >= fmt_.size()) Invalid();
      if (fmt_[i] == u'%') {
        out.push_back(u'%');
        ++i;
        continue;
      }
      int number = -1;
      bool haveNumber = ReadNumber(i, number);
      if (haveNumber && i < fmt_.size() && fmt_[i] == u':') {
        next_ = static_cast<size_t>(number);
        ++i;
        haveNumber = false;
      }
      bool left = false;
      if (i < fmt_.size() && fmt_[i] == u'-') {
        left = true;
        ++i;
      }
      int width = -1;
      if (haveNumber)
        width = number;
      else
        ReadNumber(i, width);
      int precision = -1;
      if (i < fmt_.size() && fmt_[i] == u'.') {
        ++i;
        if (!ReadNumber(i, precision)) precision = 0;
      }
      if (i >= fmt_.size()) Invalid();
      Char type = fmt_[i++];
      String text = Convert(type, NextArg(), precision);
      if (width > static_cast<int>(text.size())) {
        String pad(static_cast<size_t>(width) - text.size(), u' ');
        text = left ? text + pad : pad + text;
      }
      out += text;
    }
    return out;
  }

 private:
  [[noreturn]] void Invalid() const {
    throw EConvertError(u"Format '" + String(fmt_) + u"' invalid or incompatible with argument");
  }

  const TVarRec& NextArg() {
    if (next_ >= count_) throw EConvertError(u"No argument for format '" + String(fmt_) + u"'");
    return args_[next_++];
  }

  // Digits, or '*' taking an integer argument.
  bool ReadNumber(size_t& i, int& value) {
    if (i < fmt_.size() && fmt_[i] == u'*') {
      ++i;
      const TVarRec& a = NextArg();
      if (a.kind() != TVarRec::vtInteger) Invalid();
      value = static_cast<int>(a.AsInt64());
      return true;
    }
    size_t start = i;
    int64_t v = 0;
    while (i < fmt_.size() && fmt_[i] >= u'0' && fmt_[i] <= u'9') {
      v = v * 10 + (fmt_[i++] - u'0');
      if (v > 1000000) Invalid();
    }
    if (i == start) return false;
    value = static_cast<int>(v);
    return true;
  }

  static bool IsInteger(const TVarRec& a) {
    return a.kind() == TVarRec::vtInteger || a.kind() == TVarRec::vtInt64 || a.kind() == TVarRec::vtUInt64;
  }

  static String ZeroPad(String digits, int precision) {
    if (precision > static_cast<int>(digits.size()))
      digits.insert(0, static_cast<size_t>(precision) - digits.size(), u'0');
    return digits;
  }

  String Convert(Char type, const TVarRec& a, int precision) {
    switch (type) {
      case u'd':
      case u'D': {
        if (!IsInteger(a)) Invalid();
        if (a.kind() == TVarRec::vtUInt64) return ZeroPad(UIntToStr(a.AsUInt64()), precision);
        int64_t v = a.AsInt64();
        uint64_t mag = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
        return (v < 0 ? u"-" : u"") + ZeroPad(UIntToStr(mag), precision);
      }
      case u'u':
      case u'U': {
        if (!IsInteger(a)) Invalid();
        return ZeroPad(UIntToStr(Unsigned(a)), precision);
      }
      case u'x':
      case u'X': {
        if (!IsInteger(a)) Invalid();
        return ZeroPad(IntToHex(Unsigned(a), 1), precision);
      }
      case u'e':
      case u'E':
        return FloatToStrF(Float(a), ffExponent, precision < 0 ? 15 : precision, 3, fs_);
      case u'f':
      case u'F':
        return FloatToStrF(Float(a), ffFixed, 18, precision < 0 ? 2 : precision, fs_);
      case u'g':
      case u'G':
        return FloatToStrF(Float(a), ffGeneral, precision < 0 ? 15 : precision, 0, fs_);
      case u'n':
      case u'N':
        return FloatToStrF(Float(a), ffNumber, 18, precision < 0 ? 2 : precision, fs_);
      case u'm':
      case u'M':
        return FloatToStrF(Float(a), ffCurrency, 18, precision < 0 ? fs_.CurrencyDecimals : precision, fs_);
      case u'p':
      case u'P':
        if (a.kind() != TVarRec::vtPointer) Invalid();
        return IntToHex(reinterpret_cast<uintptr_t>(a.AsPointer()), static_cast<int>(sizeof(void*) * 2));
      case u's':
      case u'S': {
        String s;
        if (a.kind() == TVarRec::vtString)
          s = String(a.AsString());
        else if (a.kind() == TVarRec::vtWideChar)
          s = String(1, a.AsChar());
        else
          Invalid();
        if (precision >= 0 && precision < static_cast<int>(s.size()))
          s.resize(static_cast<size_t>(precision));
        return s;
      }
      default:
        Invalid();
    }
  }

  // An Integer argument shows its 32 bits; wider ones their 64.
  static uint64_t Unsigned(const TVarRec& a) {
    if (a.kind() == TVarRec::vtInteger) return static_cast<uint32_t>(static_cast<int32_t>(a.AsInt64()));
    if (a.kind() == TVarRec::vtUInt64) return a.AsUInt64();
    return static_cast<uint64_t>(a.AsInt64());
  }

  double Float(const TVarRec& a) const {
    if (a.kind() != TVarRec::vtExtended) Invalid();
    return a.AsDouble();
  }

  StringView fmt_;
  const TVarRec* args_;
  size_t count_;
  const TFormatSettings& fs_;
  size_t next_ = 0;
};

}  // namespace

String Format(StringView fmt, std::initializer_list<TVarRec> args) {
  return Format(fmt, args, FormatSettings());
}

String Format(StringView fmt, std::initializer_list<TVarRec> args, const TFormatSettings& settings) {
  return Formatter(fmt, args, settings).Run();
}

}  // namespace qd
