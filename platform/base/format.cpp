// Format settings and the formatting and parsing of floating-point and currency values.
#include "platform/base/format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/base/exceptions.h"
#include "platform/base/mathutil.h"
#include "platform/base/strings.h"

namespace qd {

// ---- Settings ----------------------------------------------------------------------------

namespace {

// Plain arrays, so that settings made during static initialisation of other files are safe.
constexpr const char16_t* kEnglishMonths[12] = {u"January",   u"February", u"March",    u"April",
                                                u"May",       u"June",     u"July",     u"August",
                                                u"September", u"October",  u"November", u"December"};
constexpr const char16_t* kEnglishShortMonths[12] = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                                     u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
constexpr const char16_t* kEnglishDays[7] = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                             u"Thursday", u"Friday", u"Saturday"};
constexpr const char16_t* kEnglishShortDays[7] = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};

TFormatSettings BrazilianPortuguese() {
  TFormatSettings s;
  s.DecimalSeparator = u',';
  s.ThousandSeparator = u'.';
  s.CurrencyString = u"R$";
  s.CurrencyFormat = 2;
  s.NegCurrFormat = 9;
  s.CurrencyDecimals = 2;
  s.ShortDateFormat = u"dd/MM/yyyy";
  s.LongDateFormat = u"dddd, d' de 'MMMM' de 'yyyy";
  s.DateSeparator = u'/';
  s.TimeSeparator = u':';
  s.ShortTimeFormat = u"HH:mm";
  s.LongTimeFormat = u"HH:mm:ss";
  s.LongMonthNames = {u"janeiro", u"fevereiro", u"março",    u"abril",   u"maio",     u"junho",
                      u"julho",   u"agosto",    u"setembro", u"outubro", u"novembro", u"dezembro"};
  s.ShortMonthNames = {u"jan", u"fev", u"mar", u"abr", u"mai", u"jun",
                       u"jul", u"ago", u"set", u"out", u"nov", u"dez"};
  s.LongDayNames = {u"domingo",      u"segunda-feira", u"terça-feira", u"quarta-feira",
                    u"quinta-feira", u"sexta-feira",   u"sábado"};
  s.ShortDayNames = {u"dom", u"seg", u"ter", u"qua", u"qui", u"sex", u"sáb"};
  s.ListSeparator = u';';
  return s;
}

TFormatSettings FromEnvironment() {
  for (const char* name : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* v = std::getenv(name);
    if (v && *v) return TFormatSettings::Create(v);
  }
  return TFormatSettings();
}

}  // namespace

TFormatSettings::TFormatSettings() {
  for (size_t i = 0; i < 12; ++i) {
    ShortMonthNames[i] = kEnglishShortMonths[i];
    LongMonthNames[i] = kEnglishMonths[i];
  }
  for (size_t i = 0; i < 7; ++i) {
    ShortDayNames[i] = kEnglishShortDays[i];
    LongDayNames[i] = kEnglishDays[i];
  }
}

TFormatSettings TFormatSettings::Invariant() {
  TFormatSettings s;
  s.CurrencyString = u"\u00A4";
  s.ShortDateFormat = u"MM/dd/yyyy";
  s.LongDateFormat = u"dddd, dd MMMM yyyy";
  s.ShortTimeFormat = u"HH:mm";
  s.LongTimeFormat = u"HH:mm:ss";
  return s;
}

TFormatSettings TFormatSettings::Create(std::string_view localeName) {
  // "pt_BR.UTF-8@euro" -> language "pt", region "BR"
  std::string_view name = localeName.substr(0, localeName.find_first_of(".@"));
  std::string_view language = name.substr(0, name.find_first_of("_-"));
  auto lower = [](std::string_view s) {
    std::string r(s);
    for (char& c : r) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return r;
  };
  if (lower(language) == "pt") return BrazilianPortuguese();
  return TFormatSettings();
}

TFormatSettings& FormatSettings() {
  static TFormatSettings settings = FromEnvironment();
  return settings;
}

// ---- Exact decimal digits ----------------------------------------------------------------

namespace {

// A non-negative decimal: value = 0.d1d2d3... x 10^exponent; no digits means zero.
struct Decimal {
  std::string digits;
  int exponent = 0;
  bool IsZero() const { return digits.empty(); }
};

void StripTrailingZeros(Decimal& d) {
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) d.exponent = 0;
}

// The exact decimal expansion of |v| (v finite). v = m * 2^e with m odd has exactly -e
// decimals when e < 0, so printing that many digits leaves nothing to round.
Decimal ExactDecimal(double v) {
  Decimal d;
  v = std::fabs(v);
  if (v == 0) return d;
  int e2;
  double fraction = std::frexp(v, &e2);
  uint64_t m = static_cast<uint64_t>(std::ldexp(fraction, 53));
  int e = e2 - 53;
  while ((m & 1) == 0) {
    m >>= 1;
    ++e;
  }
  int decimalExponent = static_cast<int>(std::floor(std::log10(v)));
  int precision = std::clamp(decimalExponent + (e < 0 ? -e : 0) + 2, 17, 770);
  char buf[1024];
  int n = std::snprintf(buf, sizeof(buf), "%.*e", precision, v);
  const char* exp = static_cast<const char*>(std::memchr(buf, 'e', static_cast<size_t>(n)));
  for (const char* p = buf; p < exp; ++p)
    if (*p != '.') d.digits.push_back(*p);
  d.exponent = std::atoi(exp + 1) + 1;
  StripTrailingZeros(d);
  return d;
}

// Keeps `keep` significant digits, rounding halves away from zero.
void RoundDigits(Decimal& d, int keep) {
  if (keep >= static_cast<int>(d.digits.size())) return;
  if (keep < 0) {
    d.digits.clear();
    d.exponent = 0;
    return;
  }
  bool up = d.digits[static_cast<size_t>(keep)] >= '5';
  d.digits.resize(static_cast<size_t>(keep));
  if (up) {
    int i = keep - 1;
    while (i >= 0 && d.digits[static_cast<size_t>(i)] == '9') {
      d.digits[static_cast<size_t>(i)] = '0';
      --i;
    }
    if (i < 0) {
      d.digits.insert(d.digits.begin(), '1');
      ++d.exponent;
    } else {
      ++d.digits[static_cast<size_t>(i)];
    }
  }
  StripTrailingZeros(d);
}

// A double carries 15 reliable significant digits; layouts may ask for up to 18 positions,
// the ones past the 15th show as zeros.
constexpr int kMaxSignificant = 15;
constexpr int kMaxPrecision = 18;

// Rounds to `decimals` digits after the point, but never keeps more than 15 significant.
void RoundDecimals(Decimal& d, int decimals) {
  if (d.IsZero()) return;
  RoundDigits(d, std::min(d.exponent + decimals, kMaxSignificant));
}

char DigitAt(const Decimal& d, int index) {
  return index >= 0 && index < static_cast<int>(d.digits.size()) ? d.digits[static_cast<size_t>(index)] : '0';
}

std::string IntegerDigits(const Decimal& d) {
  std::string s;
  for (int i = 0; i < d.exponent; ++i) s.push_back(DigitAt(d, i));
  return s;
}

// The first `count` digits after the decimal point.
std::string FractionDigits(const Decimal& d, int count) {
  std::string s;
  for (int i = 0; i < count; ++i) s.push_back(DigitAt(d, d.exponent + i));
  return s;
}

String Widen(std::string_view s) {
  return String(s.begin(), s.end());
}

String GroupThousands(std::string_view intDigits, Char separator) {
  String out;
  const size_t n = intDigits.size();
  for (size_t i = 0; i < n; ++i) {
    out.push_back(static_cast<Char>(intDigits[i]));
    size_t fromRight = n - 1 - i;
    if (fromRight > 0 && fromRight % 3 == 0) out.push_back(separator);
  }
  return out;
}

String SpecialValue(double v) {
  if (std::isnan(v)) return u"NAN";
  return v < 0 ? u"-INF" : u"INF";
}

String ExponentText(int exponent, bool alwaysSign, int minDigits) {
  String s;
  if (exponent < 0)
    s.push_back(u'-');
  else if (alwaysSign)
    s.push_back(u'+');
  std::string digits = std::to_string(std::abs(exponent));
  while (static_cast<int>(digits.size()) < minDigits) digits.insert(digits.begin(), '0');
  return s + Widen(digits);
}

String GeneralFormat(double value, int precision, int expDigits, const TFormatSettings& fs) {
  if (!std::isfinite(value)) return SpecialValue(value);
  if (precision < 1 || precision > kMaxPrecision) precision = kMaxSignificant;
  Decimal d = ExactDecimal(value);
  RoundDigits(d, std::min(precision, kMaxSignificant));
  if (d.IsZero()) return u"0";
  String out = value < 0 ? u"-" : u"";
  if (d.exponent > precision || d.exponent < -3) {
    out.push_back(static_cast<Char>(d.digits[0]));
    if (d.digits.size() > 1) {
      out.push_back(fs.DecimalSeparator);
      out += Widen(std::string_view(d.digits).substr(1));
    }
    out.push_back(u'E');
    out += ExponentText(d.exponent - 1, false, expDigits);
    return out;
  }
  std::string intPart = IntegerDigits(d);
  out += intPart.empty() ? u"0" : Widen(intPart);
  int fracCount = static_cast<int>(d.digits.size()) - d.exponent;
  if (fracCount > 0) {
    out.push_back(fs.DecimalSeparator);
    out += Widen(FractionDigits(d, fracCount));
  }
  return out;
}

String ExponentFormat(double value, int precision, int expDigits, const TFormatSettings& fs) {
  if (!std::isfinite(value)) return SpecialValue(value);
  if (precision < 1 || precision > kMaxPrecision) precision = kMaxSignificant;
  Decimal d = ExactDecimal(value);
  RoundDigits(d, std::min(precision, kMaxSignificant));
  String out = value < 0 && !d.IsZero() ? u"-" : u"";
  out.push_back(static_cast<Char>(DigitAt(d, 0)));
  if (precision > 1) {
    out.push_back(fs.DecimalSeparator);
    for (int i = 1; i < precision; ++i) out.push_back(static_cast<Char>(DigitAt(d, i)));
  }
  out.push_back(u'E');
  out += ExponentText(d.IsZero() ? 0 : d.exponent - 1, true, expDigits);
  return out;
}

// Fixed notation without sign: integer digits (at least "0"), then `decimals` digits.
// Returns false when the value needs more than `precision` integer digits.
bool FixedDigits(double value, int precision, int decimals, bool thousands, const TFormatSettings& fs,
                 String& out, bool& isZero) {
  Decimal d = ExactDecimal(value);
  if (!d.IsZero()) RoundDigits(d, std::min({d.exponent + decimals, precision, kMaxSignificant}));
  if (d.exponent > precision) return false;
  isZero = d.IsZero();
  std::string intPart = IntegerDigits(d);
  if (intPart.empty()) intPart = "0";
  out = thousands ? GroupThousands(intPart, fs.ThousandSeparator) : Widen(intPart);
  if (decimals > 0) {
    out.push_back(fs.DecimalSeparator);
    out += Widen(FractionDigits(d, decimals));
  }
  return true;
}

String ApplyCurrencyFormat(const String& number, bool negative, const TFormatSettings& fs) {
  const String& c = fs.CurrencyString;
  if (!negative) {
    switch (fs.CurrencyFormat) {
      case 1:
        return number + c;
      case 2:
        return c + u" " + number;
      case 3:
        return number + u" " + c;
      default:
        return c + number;
    }
  }
  switch (fs.NegCurrFormat) {
    case 1:
      return u"-" + c + number;
    case 2:
      return c + u"-" + number;
    case 3:
      return c + number + u"-";
    case 4:
      return u"(" + number + c + u")";
    case 5:
      return u"-" + number + c;
    case 6:
      return number + u"-" + c;
    case 7:
      return number + c + u"-";
    case 8:
      return u"-" + number + u" " + c;
    case 9:
      return u"-" + c + u" " + number;
    case 10:
      return number + u" " + c + u"-";
    case 11:
      return c + u" " + number + u"-";
    case 12:
      return c + u" -" + number;
    case 13:
      return number + u"- " + c;
    case 14:
      return u"(" + c + u" " + number + u")";
    case 15:
      return u"(" + number + u" " + c + u")";
    default:
      return u"(" + c + number + u")";
  }
}

}  // namespace

String FloatToStr(double value) {
  return FloatToStr(value, FormatSettings());
}
String FloatToStr(double value, const TFormatSettings& settings) {
  return GeneralFormat(value, kMaxSignificant, 0, settings);
}

String FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
  return FloatToStrF(value, format, precision, digits, FormatSettings());
}

String FloatToStrF(double value, TFloatFormat format, int precision, int digits, const TFormatSettings& fs) {
  if (!std::isfinite(value)) return SpecialValue(value);
  if (precision < 1 || precision > kMaxPrecision) precision = kMaxSignificant;
  digits = std::clamp(digits, 0, 18);
  switch (format) {
    case ffGeneral:
      return GeneralFormat(value, precision, std::min(digits, 4), fs);
    case ffExponent:
      return ExponentFormat(value, precision, std::min(digits, 4), fs);
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
      String number;
      bool zero = false;
      if (!FixedDigits(value, precision, digits, format != ffFixed, fs, number, zero))
        return GeneralFormat(value, precision, 0, fs);
      bool negative = value < 0 && !zero;
      if (format == ffCurrency) return ApplyCurrencyFormat(number, negative, fs);
      return negative ? u"-" + number : number;
    }
  }
  return {};
}

// ---- FormatFloat -------------------------------------------------------------------------

namespace {

struct SectionLayout {
  int intPlaceholders = 0;
  int minInt = 0;
  int fracPlaceholders = 0;
  int minFrac = 0;
  bool hasPoint = false;
  bool thousands = false;
  bool scientific = false;
};

bool IsQuote(Char c) {
  return c == u'"' || c == u'\'';
}

size_t SkipQuoted(StringView s, size_t i) {
  Char q = s[i++];
  while (i < s.size() && s[i] != q) ++i;
  return i < s.size() ? i + 1 : i;
}

bool IsExponentAt(StringView s, size_t i) {
  return (s[i] == u'E' || s[i] == u'e') && i + 1 < s.size() && (s[i + 1] == u'+' || s[i + 1] == u'-');
}

std::vector<StringView> SplitSections(StringView pattern) {
  std::vector<StringView> sections;
  size_t start = 0, i = 0;
  while (i < pattern.size()) {
    if (IsQuote(pattern[i])) {
      i = SkipQuoted(pattern, i);
    } else if (pattern[i] == u';') {
      sections.push_back(pattern.substr(start, i - start));
      start = ++i;
    } else {
      ++i;
    }
  }
  sections.push_back(pattern.substr(start));
  return sections;
}

SectionLayout ScanSection(StringView s) {
  SectionLayout l;
  int firstIntZero = -1;
  for (size_t i = 0; i < s.size();) {
    Char c = s[i];
    if (IsQuote(c)) {
      i = SkipQuoted(s, i);
      continue;
    }
    if (l.scientific) break;  // the exponent comes last
    if (c == u'0' || c == u'#') {
      if (l.hasPoint) {
        ++l.fracPlaceholders;
        if (c == u'0') l.minFrac = l.fracPlaceholders;
      } else {
        if (c == u'0' && firstIntZero < 0) firstIntZero = l.intPlaceholders;
        ++l.intPlaceholders;
      }
    } else if (c == u'.') {
      l.hasPoint = true;
    } else if (c == u',') {
      l.thousands = true;
    } else if (IsExponentAt(s, i)) {
      l.scientific = true;
      i += 2;
      continue;
    }
    ++i;
  }
  l.minInt = firstIntZero < 0 ? 0 : l.intPlaceholders - firstIntZero;
  return l;
}

// The digits a section shows for |value|.
struct RenderedNumber {
  std::string intDigits;   // without separators; may be empty
  std::string fracDigits;  // trimmed to what the placeholders show
  int exponent = 0;        // scientific notation only
  bool isZero = true;
};

RenderedNumber Render(double value, const SectionLayout& l) {
  RenderedNumber r;
  Decimal d = ExactDecimal(value);
  if (l.scientific) {
    const int sig = l.intPlaceholders + l.fracPlaceholders;
    RoundDigits(d, std::min(std::max(sig, 1), kMaxSignificant));
    r.isZero = d.IsZero();
    r.exponent = r.isZero ? 0 : d.exponent - l.intPlaceholders;
    for (int i = 0; i < l.intPlaceholders; ++i) r.intDigits.push_back(DigitAt(d, i));
    // leading zeros of the mantissa beyond the required ones are dropped
    while (static_cast<int>(r.intDigits.size()) > l.minInt && !r.intDigits.empty() && r.intDigits[0] == '0')
      r.intDigits.erase(r.intDigits.begin());
    for (int i = 0; i < l.fracPlaceholders; ++i) r.fracDigits.push_back(DigitAt(d, l.intPlaceholders + i));
  } else {
    RoundDecimals(d, l.fracPlaceholders);
    r.isZero = d.IsZero();
    r.intDigits = IntegerDigits(d);
    while (static_cast<int>(r.intDigits.size()) < l.minInt) r.intDigits.insert(r.intDigits.begin(), '0');
    r.fracDigits = FractionDigits(d, l.fracPlaceholders);
  }
  while (static_cast<int>(r.fracDigits.size()) > l.minFrac && r.fracDigits.back() == '0')
    r.fracDigits.pop_back();
  return r;
}

String ApplySection(StringView s, const SectionLayout& l, const RenderedNumber& r, bool minus,
                    const TFormatSettings& fs) {
  String out;
  if (minus) out.push_back(u'-');
  const int intLen = static_cast<int>(r.intDigits.size());
  auto emitIntDigit = [&](int fromRight) {
    out.push_back(static_cast<Char>(r.intDigits[static_cast<size_t>(intLen - 1 - fromRight)]));
    if (l.thousands && !l.scientific && fromRight > 0 && fromRight % 3 == 0)
      out.push_back(fs.ThousandSeparator);
  };
  auto emitAllIntDigits = [&] {
    for (int p = intLen - 1; p >= 0; --p) emitIntDigit(p);
  };
  int intIndex = 0, fracIndex = 0;
  bool pointDone = false, exponentDone = false;
  for (size_t i = 0; i < s.size();) {
    Char c = s[i];
    if (IsQuote(c)) {
      size_t end = SkipQuoted(s, i);
      size_t contentEnd = end > i + 1 && end <= s.size() && s[end - 1] == c ? end - 1 : end;
      out.append(s.substr(i + 1, contentEnd - i - 1));
      i = end;
      continue;
    }
    if (!exponentDone && (c == u'0' || c == u'#')) {
      if (!pointDone) {
        // The leftmost integer placeholder takes every digit that has no placeholder of
        // its own; the others take one digit each, aligned to the right.
        const int fromRight = l.intPlaceholders - 1 - intIndex;
        if (intIndex == 0) {
          for (int p = intLen - 1; p >= fromRight; --p) emitIntDigit(p);
        } else if (fromRight < intLen) {
          emitIntDigit(fromRight);
        }
        ++intIndex;
      } else {
        if (fracIndex < static_cast<int>(r.fracDigits.size()))
          out.push_back(static_cast<Char>(r.fracDigits[static_cast<size_t>(fracIndex)]));
        ++fracIndex;
      }
      ++i;
      continue;
    }
    if (c == u'.') {
      if (!pointDone && !exponentDone) {
        pointDone = true;
        if (l.intPlaceholders == 0) emitAllIntDigits();
        if (!r.fracDigits.empty()) out.push_back(fs.DecimalSeparator);
      }
      ++i;
      continue;
    }
    if (c == u',') {
      ++i;
      continue;
    }
    if (!exponentDone && l.scientific && IsExponentAt(s, i)) {
      pointDone = true;
      exponentDone = true;
      out.push_back(c);
      int minDigits = 0;
      size_t j = i + 2;
      while (j < s.size() && s[j] == u'0') {
        ++minDigits;
        ++j;
      }
      out += ExponentText(r.exponent, s[i + 1] == u'+', std::max(minDigits, 1));
      i = j;
      continue;
    }
    out.push_back(c);
    ++i;
  }
  return out;
}

}  // namespace

String FormatFloat(StringView pattern, double value) {
  return FormatFloat(pattern, value, FormatSettings());
}

String FormatFloat(StringView pattern, double value, const TFormatSettings& fs) {
  if (!std::isfinite(value)) return SpecialValue(value);
  std::vector<StringView> sections = SplitSections(pattern);
  if (sections[0].empty() && sections.size() == 1) return GeneralFormat(value, kMaxSignificant, 0, fs);

  SectionLayout layout = ScanSection(sections[0]);
  RenderedNumber rendered = Render(value, layout);
  StringView section = sections[0];
  bool minus = value < 0 && !rendered.isZero;
  if (rendered.isZero && sections.size() > 2 && !sections[2].empty()) {
    section = sections[2];
    minus = false;
  } else if (minus && sections.size() > 1 && !sections[1].empty()) {
    section = sections[1];
    minus = false;
  }
  if (section.data() != sections[0].data()) {
    layout = ScanSection(section);
    rendered = Render(value, layout);
  }
  // Huge values in a fixed layout fall back to the general format.
  if (!layout.scientific && rendered.intDigits.size() > 18)
    return GeneralFormat(value, kMaxSignificant, 0, fs);
  return ApplySection(section, layout, rendered, minus, fs);
}

// ---- Parsing -----------------------------------------------------------------------------

bool TryStrToFloat(StringView s, double& value) {
  return TryStrToFloat(s, value, FormatSettings());
}

bool TryStrToFloat(StringView s, double& value, const TFormatSettings& fs) {
  size_t i = 0, n = s.size();
  while (i < n && s[i] <= u' ') ++i;
  while (n > i && s[n - 1] <= u' ') --n;
  std::string ascii;
  if (i < n && (s[i] == u'+' || s[i] == u'-')) {
    if (s[i] == u'-') ascii.push_back('-');
    ++i;
  }
  int mantissaDigits = 0;
  bool point = false;
  for (; i < n; ++i) {
    Char c = s[i];
    if (c >= u'0' && c <= u'9') {
      ascii.push_back(static_cast<char>(c));
      ++mantissaDigits;
    } else if (c == fs.DecimalSeparator && !point) {
      ascii.push_back('.');
      point = true;
    } else {
      break;
    }
  }
  if (mantissaDigits == 0) return false;
  bool negativeExponent = false;
  if (i < n && (s[i] == u'e' || s[i] == u'E')) {
    ascii.push_back('e');
    ++i;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) {
      negativeExponent = s[i] == u'-';
      if (negativeExponent) ascii.push_back('-');
      ++i;
    }
    int expDigits = 0;
    for (; i < n && s[i] >= u'0' && s[i] <= u'9'; ++i, ++expDigits) ascii.push_back(static_cast<char>(s[i]));
    if (expDigits == 0) return false;
  }
  if (i != n) return false;
  double v = 0;
  auto [ptr, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
  if (ec == std::errc::result_out_of_range) {
    if (!negativeExponent) return false;
    v = 0;  // underflow
  } else if (ec != std::errc() || ptr != ascii.data() + ascii.size()) {
    return false;
  }
  value = v;
  return true;
}

double StrToFloat(StringView s) {
  return StrToFloat(s, FormatSettings());
}
double StrToFloat(StringView s, const TFormatSettings& settings) {
  double v;
  if (!TryStrToFloat(s, v, settings))
    throw EConvertError(u"'" + String(s) + u"' is not a valid floating point value");
  return v;
}

double StrToFloatDef(StringView s, double def) {
  return StrToFloatDef(s, def, FormatSettings());
}
double StrToFloatDef(StringView s, double def, const TFormatSettings& settings) {
  double v;
  return TryStrToFloat(s, v, settings) ? v : def;
}

// ---- Currency ----------------------------------------------------------------------------

Currency Currency::FromDouble(double v) {
  double scaled = v * 10000.0;
  if (!(scaled > -9223372036854775808.0 && scaled < 9223372036854775808.0))
    throw EConvertError(u"Floating point overflow while converting to currency");
  return Currency{Round(scaled)};
}

String CurrToStr(Currency value) {
  return CurrToStr(value, FormatSettings());
}
String CurrToStr(Currency value, const TFormatSettings& fs) {
  uint64_t mag =
      value.Value < 0 ? 0 - static_cast<uint64_t>(value.Value) : static_cast<uint64_t>(value.Value);
  String out = value.Value < 0 ? u"-" : u"";
  out += UIntToStr(mag / 10000);
  uint64_t frac = mag % 10000;
  if (frac != 0) {
    std::string f = std::to_string(frac + 10000).substr(1);
    while (f.back() == '0') f.pop_back();
    out.push_back(fs.DecimalSeparator);
    out += Widen(f);
  }
  return out;
}

bool TryStrToCurr(StringView s, Currency& value) {
  return TryStrToCurr(s, value, FormatSettings());
}
bool TryStrToCurr(StringView s, Currency& value, const TFormatSettings& settings) {
  double d;
  if (!TryStrToFloat(s, d, settings)) return false;
  double scaled = d * 10000.0;
  if (!(scaled > -9223372036854775808.0 && scaled < 9223372036854775808.0)) return false;
  value = Currency{Round(scaled)};
  return true;
}

}  // namespace qd
