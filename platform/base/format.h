#pragma once
// Locale settings, number and date formatting and parsing, Format().
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "platform/base/types.h"

namespace qd {

struct TFormatSettings {
  Char DecimalSeparator = u'.';
  Char ThousandSeparator = u',';
  String CurrencyString = u"$";
  // Positive currency layout: 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $".
  uint8_t CurrencyFormat = 0;
  // Negative currency layout, 0..15: "($1)", "-$1", "$-1", "$1-", "(1$)", "-1$", "1-$", "1$-",
  // "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)".
  uint8_t NegCurrFormat = 0;
  uint8_t CurrencyDecimals = 2;
  String ShortDateFormat = u"M/d/yyyy";
  String LongDateFormat = u"dddd, MMMM d, yyyy";
  Char DateSeparator = u'/';
  Char TimeSeparator = u':';
  String TimeAMString = u"AM";
  String TimePMString = u"PM";
  String ShortTimeFormat = u"h:mm AMPM";
  String LongTimeFormat = u"h:mm:ss AMPM";
  std::array<String, 12> ShortMonthNames;
  std::array<String, 12> LongMonthNames;
  std::array<String, 7> ShortDayNames;  // [0] is Sunday
  std::array<String, 7> LongDayNames;
  Char ListSeparator = u',';
  uint16_t TwoDigitYearCenturyWindow = 50;

  TFormatSettings();  // en-US
  // The culture-independent settings.
  static TFormatSettings Invariant();
  // Settings of a POSIX locale name such as "pt_BR.UTF-8", "en_US" or "pt-BR"; en-US for
  // "C", "POSIX", an empty name and unknown names.
  static TFormatSettings Create(std::string_view localeName);
};

// The process-wide settings, made on first use from the environment (LC_ALL, LC_NUMERIC,
// LANG). Callers and tests may assign to it.
TFormatSettings& FormatSettings();

// ---- Floating-point numbers --------------------------------------------------------------

enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
using enum TFloatFormat;

// 15 significant digits, fixed or scientific notation: "1.5", "0.1", "1E20", "-2.5E-6".
String FloatToStr(double value);
String FloatToStr(double value, const TFormatSettings& settings);
String FloatToStrF(double value, TFloatFormat format, int precision, int digits);
String FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                   const TFormatSettings& settings);
// The pattern language: '0' and '#' digits, '.' decimal point, ',' thousand separators,
// "E+", "E-", "e+", "e-" scientific notation, "..." and '...' literals, up to three sections
// "positive;negative;zero". Halves round away from zero, decided on the exact value.
String FormatFloat(StringView pattern, double value);
String FormatFloat(StringView pattern, double value, const TFormatSettings& settings);

// Blanks around, a sign, digits with the settings' decimal separator, an exponent.
bool TryStrToFloat(StringView s, double& value);
bool TryStrToFloat(StringView s, double& value, const TFormatSettings& settings);
// Raises EConvertError "'<s>' is not a valid floating point value".
double StrToFloat(StringView s);
double StrToFloat(StringView s, const TFormatSettings& settings);
double StrToFloatDef(StringView s, double def);
double StrToFloatDef(StringView s, double def, const TFormatSettings& settings);

// ---- Currency: a signed count of ten-thousandths -----------------------------------------

struct Currency {
  int64_t Value = 0;
  // Rounds to the nearest ten-thousandth (ties to even); raises EConvertError when the
  // value does not fit.
  static Currency FromDouble(double v);
  double ToDouble() const { return static_cast<double>(Value) / 10000.0; }
  friend bool operator==(Currency a, Currency b) = default;
  friend auto operator<=>(Currency a, Currency b) = default;
};
// "1.5", "-0.0001", "12" (up to four decimals, no trailing zeros).
String CurrToStr(Currency value);
String CurrToStr(Currency value, const TFormatSettings& settings);
bool TryStrToCurr(StringView s, Currency& value);
bool TryStrToCurr(StringView s, Currency& value, const TFormatSettings& settings);

// ---- Format ------------------------------------------------------------------------------

// One argument of Format().
class TVarRec {
 public:
  enum Kind { vtInteger, vtInt64, vtUInt64, vtExtended, vtString, vtWideChar, vtPointer };

  TVarRec(int v) : kind_(vtInteger), i_(v) {}
  TVarRec(long v) : kind_(vtInt64), i_(v) {}
  TVarRec(long long v) : kind_(vtInt64), i_(v) {}
  TVarRec(unsigned v) : kind_(vtInt64), i_(v) {}
  TVarRec(unsigned long v) : kind_(vtUInt64), u_(v) {}
  TVarRec(unsigned long long v) : kind_(vtUInt64), u_(v) {}
  TVarRec(short v) : kind_(vtInteger), i_(v) {}
  TVarRec(unsigned short v) : kind_(vtInteger), i_(v) {}
  TVarRec(signed char v) : kind_(vtInteger), i_(v) {}
  TVarRec(unsigned char v) : kind_(vtInteger), i_(v) {}
  TVarRec(double v) : kind_(vtExtended), d_(v) {}
  TVarRec(float v) : kind_(vtExtended), d_(v) {}
  TVarRec(const String& s) : kind_(vtString), s_(s) {}
  TVarRec(StringView s) : kind_(vtString), s_(s) {}
  TVarRec(const Char* s) : kind_(vtString), s_(s ? StringView(s) : StringView()) {}
  TVarRec(Char c) : kind_(vtWideChar), c_(c) {}
  TVarRec(const void* p) : kind_(vtPointer), p_(p) {}
  TVarRec(bool) = delete;
  TVarRec(const char*) = delete;

  Kind kind() const { return kind_; }
  int64_t AsInt64() const { return i_; }
  uint64_t AsUInt64() const { return u_; }
  double AsDouble() const { return d_; }
  StringView AsString() const { return s_; }
  Char AsChar() const { return c_; }
  const void* AsPointer() const { return p_; }

 private:
  Kind kind_;
  union {
    int64_t i_;
    uint64_t u_;
    double d_;
    Char c_;
    const void* p_;
  };
  StringView s_;
};

// "%" ["index:"] ["-"] [width] ["." precision] type, with types d u x X e f g n m p s and
// "%%"; width, precision and index may be "*". Raises EConvertError "Format '<fmt>' invalid
// or incompatible with argument" or "No argument for format '<fmt>'".
String Format(StringView fmt, std::initializer_list<TVarRec> args);
String Format(StringView fmt, std::initializer_list<TVarRec> args, const TFormatSettings& settings);

// ---- Dates and times: days since 1899-12-30, the fraction is the time of day -------------

constexpr double MSecsPerDay = 86400000.0;
constexpr double SecsPerDay = 86400.0;
constexpr int32_t DateDelta = 693594;  // days from 0001-01-01 to 1899-12-31

bool IsLeapYear(int year);
int DaysInAMonth(int year, int month);
int DaysInMonth(TDateTime value);
bool TryEncodeDate(int year, int month, int day, TDateTime& value);
// Raises EConvertError "Invalid argument to date encode".
TDateTime EncodeDate(int year, int month, int day);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& value);
// Raises EConvertError "Invalid argument to time encode".
TDateTime EncodeTime(int hour, int minute, int second, int msec);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime value);
TDateTime Now();   // local time
TDateTime Date();  // today, local time
TDateTime Time();  // the time of day, local time

// Format codes: c d dd ddd dddd ddddd dddddd m mm mmm mmmm yy yyyy h hh n nn s ss z zzz t tt
// am/pm a/p ampm / : and quoted literals; 'm' right after an hour code is minutes.
String FormatDateTime(StringView format, TDateTime value);
String FormatDateTime(StringView format, TDateTime value, const TFormatSettings& settings);
// Short date, then the long time unless the time is midnight.
String DateTimeToStr(TDateTime value);
String DateTimeToStr(TDateTime value, const TFormatSettings& settings);
String DateToStr(TDateTime value);
String DateToStr(TDateTime value, const TFormatSettings& settings);
String TimeToStr(TDateTime value);
String TimeToStr(TDateTime value, const TFormatSettings& settings);
// A date in the order of ShortDateFormat with DateSeparator (two-digit years through the
// century window; a missing year is this year), optionally followed by a time
// "h:mm[:ss[.zzz]]" with an optional AM/PM marker; or a time alone.
bool TryStrToDateTime(StringView s, TDateTime& value);
bool TryStrToDateTime(StringView s, TDateTime& value, const TFormatSettings& settings);
// Raises EConvertError "'<s>' is not a valid date and time".
TDateTime StrToDateTime(StringView s);
TDateTime StrToDateTime(StringView s, const TFormatSettings& settings);

}  // namespace qd
