#include <gtest/gtest.h>

#include <cmath>

#include "platform/base/exceptions.h"
#include "platform/base/format.h"
#include "platform/base/strings.h"

namespace qd {
namespace {

TFormatSettings Comma() {
  TFormatSettings fs;
  fs.DecimalSeparator = u',';
  fs.ThousandSeparator = u'.';
  return fs;
}

TEST(FormatFloat, PatternLanguage) {
  struct Case {
    const char16_t* pattern;
    double value;
    const char16_t* want;
  } cases[] = {
      {u"0%", 50.4, u"50%"},
      {u"0%", 50.5, u"51%"},
      {u"0.0 MB", 1.5, u"1.5 MB"},
      {u"0.0 MB", 1572864 / 1024.0 / 1024.0, u"1.5 MB"},
      {u"0.0 MB", 1048576 * 2.25 / 1024.0 / 1024.0, u"2.3 MB"},
      {u"0", 0.5, u"1"},
      {u"0", -0.5, u"-1"},
      {u"0", 1.5, u"2"},
      {u"0", 2.5, u"3"},
      {u"0.00", 1.005, u"1.00"},  // 1.005 is 1.00499999999999989... as a double
      {u"0.00", 1.125, u"1.13"},  // exactly representable half
      {u"0.00", 2.675, u"2.67"},  // 2.67499999...
      {u"0.0", 0.05, u"0.1"},     // 0.05000000000000000277...
      {u"0.0", 0.15, u"0.1"},     // 0.14999999999999999444...
      {u"0.0", 0.25, u"0.3"},
      {u"0", 1e15 + 0.5, u"1000000000000000"},  // beyond 15 significant digits
      {u"0.00", -1.125, u"-1.13"},
      {u"0", -0.4, u"0"},
      {u"#,##0.00", 1234567.891, u"1,234,567.89"},
      {u"#,##0.00", -1234.5, u"-1,234.50"},
      {u"#,##0", 999.5, u"1,000"},
      {u"#,##0", 5, u"5"},
      {u"0,000", 5, u"0,005"},
      {u"#.##", 0, u""},
      {u"#.##", 0.5, u".5"},
      {u"0.##", 1, u"1"},
      {u"0.0#", 1.256, u"1.26"},
      {u"000", 7, u"007"},
      {u"#", 12345, u"12345"},
      {u"00-00", 1234, u"12-34"},
      {u".00", 12.5, u"12.50"},
      {u"0.00E+00", 1234.5, u"1.23E+03"},
      {u"0.00E+00", 0.00012345, u"1.23E-04"},
      {u"0.00e-00", 1234.5, u"1.23e03"},
      {u"0.00E-0", 0.00012345, u"1.23E-4"},
      {u"00.00E+00", 1234, u"12.34E+02"},
      {u"0.00E+00", 0, u"0.00E+00"},
      {u"0.00E+00", -1234.5, u"-1.23E+03"},
      {u"0;(0);'zero'", 5, u"5"},
      {u"0;(0);'zero'", -5, u"(5)"},
      {u"0;(0);'zero'", 0, u"zero"},
      {u"0;(0);'zero'", 0.4, u"zero"},  // rounds to zero with the first section
      {u"0;(0);'zero'", -0.4, u"zero"},
      {u"0;;\"nil\"", -3, u"-3"},  // an empty negative section means the first one
      {u"0.00;-0.00", -2.345, u"-2.35"},
      {u"\"R$\" #,##0.00", 1234.5, u"R$ 1,234.50"},
      {u"'#'0", 3, u"#3"},
      {u"0 \"0#.\"", 3, u"3 0#."},
      {u"", 1.5, u"1.5"},
      {u"", 1e20, u"1E20"},
      {u"", -0.1, u"-0.1"},
      {u"0", 1e25, u"1E25"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatFloat(c.pattern, c.value, TFormatSettings()), c.want)
        << StringToUtf8(c.pattern) << " " << c.value;
}

TEST(FormatFloat, UsesTheSettingsSeparators) {
  EXPECT_EQ(FormatFloat(u"0.0 MB", 1.5, Comma()), u"1,5 MB");
  EXPECT_EQ(FormatFloat(u"#,##0.00", 1234567.891, Comma()), u"1.234.567,89");
  EXPECT_EQ(FormatFloat(u"0.00E+00", 1234.5, Comma()), u"1,23E+03");
  EXPECT_EQ(FloatToStr(2.5, Comma()), u"2,5");

  TFormatSettings saved = FormatSettings();
  FormatSettings() = Comma();
  EXPECT_EQ(FormatFloat(u"0.0 MB", 1.5), u"1,5 MB");
  FormatSettings() = saved;
}

TEST(FloatToStr, GeneralFormat) {
  struct Case {
    double value;
    const char16_t* want;
  } cases[] = {
      {1.5, u"1.5"},
      {1e20, u"1E20"},
      {0.1, u"0.1"},
      {0, u"0"},
      {-2.5e-6, u"-2.5E-6"},
      {0.0001, u"0.0001"},
      {0.00001, u"1E-5"},
      {123456789012345.0, u"123456789012345"},
      {1e15, u"1E15"},
      {1.0 / 3, u"0.333333333333333"},
      {2.0 / 3, u"0.666666666666667"},
      {0.1 + 0.2, u"0.3"},
      {1.005, u"1.005"},
      {-1234.5678, u"-1234.5678"},
      {INFINITY, u"INF"},
      {-INFINITY, u"-INF"},
      {NAN, u"NAN"},
  };
  for (const auto& c : cases) EXPECT_EQ(FloatToStr(c.value, TFormatSettings()), c.want) << c.value;

  TFormatSettings fs;
  EXPECT_EQ(FloatToStrF(1234.5, ffExponent, 4, 2, fs), u"1.235E+03");
  EXPECT_EQ(FloatToStrF(1234.5, ffFixed, 15, 2, fs), u"1234.50");
  EXPECT_EQ(FloatToStrF(1234.5, ffNumber, 15, 1, fs), u"1,234.5");
  EXPECT_EQ(FloatToStrF(-0.001, ffFixed, 15, 2, fs), u"0.00");
  EXPECT_EQ(FloatToStrF(-5, ffCurrency, 15, 2, fs), u"($5.00)");
  TFormatSettings br = TFormatSettings::Create("pt_BR.UTF-8");
  EXPECT_EQ(FloatToStrF(-1234.5, ffCurrency, 15, 2, br), u"-R$ 1.234,50");
  EXPECT_EQ(FloatToStrF(1234.5, ffCurrency, 15, 2, br), u"R$ 1.234,50");
}

TEST(StrToFloat, ParsesWithTheSettingsDecimalSeparator) {
  struct Case {
    const char16_t* text;
    bool comma;
    bool ok;
    double want;
  } cases[] = {
      {u"1.5", false, true, 1.5},      {u"  -2.25  ", false, true, -2.25},
      {u"+3", false, true, 3},         {u"1e3", false, true, 1000},
      {u"1.5E-2", false, true, 0.015}, {u".5", false, true, 0.5},
      {u"5.", false, true, 5},         {u"1,5", true, true, 1.5},
      {u"1.5", true, false, 0},        {u"1,5", false, false, 0},
      {u"", false, false, 0},          {u"abc", false, false, 0},
      {u"1e", false, false, 0},        {u"1.2.3", false, false, 0},
      {u"1e400", false, false, 0},     {u"1e-400", false, true, 0},
      {u"$10", false, false, 0},       {u"1 000", false, false, 0},
  };
  for (const auto& c : cases) {
    double v = -99;
    bool ok = TryStrToFloat(c.text, v, c.comma ? Comma() : TFormatSettings());
    EXPECT_EQ(ok, c.ok) << StringToUtf8(c.text);
    if (ok && c.ok) {
      EXPECT_EQ(v, c.want) << StringToUtf8(c.text);
    }
  }
  EXPECT_EQ(StrToFloatDef(u"x", 7.5, TFormatSettings()), 7.5);
  try {
    StrToFloat(u"x1", TFormatSettings());
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"'x1' is not a valid floating point value");
  }
}

TEST(Format, DirectivesWidthsAndErrors) {
  TFormatSettings fs;
  int local = 0;
  struct Case {
    String got, want;
  } cases[] = {
      {Format(u"%s=%d", {u"n", 42}, fs), u"n=42"},
      {Format(u"[%-6s][%6s]", {u"ab", String(u"cd")}, fs), u"[ab    ][    cd]"},
      {Format(u"%.3d|%5d|%-5d|", {5, -42, 7}, fs), u"005|  -42|7    |"},
      {Format(u"%.3d", {-5}, fs), u"-005"},
      {Format(u"%5.2f", {3.14159}, fs), u" 3.14"},
      {Format(u"%f", {2.5}, fs), u"2.50"},
      {Format(u"%.0f|%.0n", {1e17, 123456789012345678.0}, fs), u"100000000000000000|123,456,789,012,346,000"},
      {Format(u"%.1f", {1e19}, fs), u"1E19"},
      {Format(u"%.0f", {2.5}, fs), u"3"},
      {Format(u"%e", {1234.5}, fs), u"1.23450000000000E+003"},
      {Format(u"%.3e", {-0.00012345}, fs), u"-1.23E-004"},
      {Format(u"%g|%g", {0.5, 1e20}, fs), u"0.5|1E20"},
      {Format(u"%n", {1234567.891}, fs), u"1,234,567.89"},
      {Format(u"%m", {-12.5}, fs), u"($12.50)"},
      {Format(u"%x|%X|%.4x", {255, -1, 10}, fs), u"FF|FFFFFFFF|000A"},
      {Format(u"%x", {int64_t(-1)}, fs), u"FFFFFFFFFFFFFFFF"},
      {Format(u"%u", {-1}, fs), u"4294967295"},
      {Format(u"%d", {uint64_t(18446744073709551615ull)}, fs), u"18446744073709551615"},
      {Format(u"%d", {int64_t(-9223372036854775807 - 1)}, fs), u"-9223372036854775808"},
      {Format(u"%.2s", {u"abcdef"}, fs), u"ab"},
      {Format(u"%s%%", {Char(u'x')}, fs), u"x%"},
      {Format(u"%1:s %0:s %s", {u"a", u"b"}, fs), u"b a b"},
      {Format(u"%*d|%-*d|", {4, 7, 3, 8}, fs), u"   7|8  |"},
      {Format(u"%.*f", {1, 2.25}, fs), u"2.3"},
      {Format(u"%s", {u"ação"}, fs), u"ação"},
      {Format(u"%f", {1.5}, Comma()), u"1,50"},
      {Format(u"%p", {static_cast<const void*>(&local)}, fs).size() == 16 ? String(u"ok") : String(u"bad"),
       u"ok"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.want);

  struct Bad {
    const char16_t* fmt;
    const char16_t* message;
  } bad[] = {
      {u"%d", u"Format '%d' invalid or incompatible with argument"},
      {u"%f", u"Format '%f' invalid or incompatible with argument"},
      {u"%q", u"Format '%q' invalid or incompatible with argument"},
      {u"abc %", u"Format 'abc %' invalid or incompatible with argument"},
      {u"%s %s", u"No argument for format '%s %s'"},
  };
  for (const auto& b : bad) {
    try {
      Format(b.fmt, {u"text"}, fs);
      ADD_FAILURE() << StringToUtf8(b.fmt);
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), b.message);
    }
  }
  EXPECT_THROW(Format(u"%s", {3}, fs), EConvertError);
}

TEST(Dates, EncodeDecodeAndWeekdays) {
  struct Case {
    int y, m, d;
    double serial;
    int dow;
  } cases[] = {
      {1899, 12, 30, 0, 7},    {1899, 12, 29, -1, 6}, {1900, 1, 1, 2, 2},         {2000, 2, 29, 36585, 3},
      {2024, 3, 15, 45366, 6}, {1, 1, 1, -693593, 2}, {9999, 12, 31, 2958465, 6},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial) << c.y << "-" << c.m << "-" << c.d;
    int y, m, d;
    DecodeDate(c.serial + (c.serial < 0 ? -0.75 : 0.75), y, m,
               d);  // a negative value's time counts away from zero
    EXPECT_EQ(y * 10000 + m * 100 + d, c.y * 10000 + c.m * 100 + c.d);
    EXPECT_EQ(DayOfWeek(c.serial), c.dow);
  }
  EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_EQ(DaysInAMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(EncodeDate(2023, 2, 10)), 28);

  int h, n, s, ms;
  DecodeTime(EncodeTime(13, 45, 30, 250), h, n, s, ms);
  EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + ms, 134530250);
  DecodeTime(-1.25, h, n, s, ms);  // 1899-12-29 06:00
  EXPECT_EQ(h, 6);
  int y, m, d;
  DecodeDate(-1.25, y, m, d);
  EXPECT_EQ(d, 29);
  // 23:59:59.9996 rounds to the next midnight
  DecodeDate(EncodeDate(2024, 1, 31) + 86399.9996 / 86400, y, m, d);
  EXPECT_EQ(m * 100 + d, 201);
}

TEST(Dates, FormatAndParse) {
  TFormatSettings en;
  TFormatSettings br = TFormatSettings::Create("pt_BR");
  TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);
  struct Case {
    const char16_t* format;
    const TFormatSettings* fs;
    const char16_t* want;
  } cases[] = {
      {u"yyyy-mm-dd hh:nn:ss.zzz", &en, u"2024-03-05 14:07:09.045"},
      {u"d/m/yy h:n:s z", &en, u"5/3/24 14:7:9 45"},
      {u"hh:mm", &en, u"14:07"},
      {u"ddd dddd mmm mmmm", &en, u"Tue Tuesday Mar March"},
      {u"ddd dddd mmm mmmm", &br, u"ter terça-feira mar março"},
      {u"h:nn am/pm|h:nn A/P|hh AMPM", &en, u"2:07 pm|2:07 P|02 PM"},
      {u"c", &en, u"3/5/2024 2:07:09 PM"},
      {u"c", &br, u"05/03/2024 14:07:09"},
      {u"ddddd", &br, u"05/03/2024"},
      {u"dddddd", &br, u"terça-feira, 5 de março de 2024"},
      {u"'yyyy' \"mm\" yyyy", &en, u"yyyy mm 2024"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDateTime(c.format, t, *c.fs), c.want) << StringToUtf8(c.format);
  EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 5), br), u"05/03/2024");

  struct Parse {
    const char16_t* text;
    const TFormatSettings* fs;
    bool ok;
    double want;
  } parses[] = {
      {u"05/03/2024", &br, true, EncodeDate(2024, 3, 5)},
      {u"3/5/2024", &en, true, EncodeDate(2024, 3, 5)},
      {u"05/03/2024 14:07:09", &br, true, t - EncodeTime(0, 0, 0, 45)},
      {u" 3/5/2024 2:07 PM ", &en, true, EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 0, 0)},
      {u"12:30", &en, true, EncodeTime(12, 30, 0, 0)},
      {u"31/02/2024", &br, false, 0},
      {u"abc", &en, false, 0},
      {u"3/5/2024 x", &en, false, 0},
      {u"", &en, false, 0},
  };
  for (const auto& p : parses) {
    TDateTime v = -1;
    EXPECT_EQ(TryStrToDateTime(p.text, v, *p.fs), p.ok) << StringToUtf8(p.text);
    if (p.ok) {
      EXPECT_NEAR(v, p.want, 1e-9) << StringToUtf8(p.text);
    }
  }
}

TEST(FormatSettings, LocalesAndInvariant) {
  TFormatSettings inv = TFormatSettings::Invariant();
  EXPECT_EQ(inv.DecimalSeparator, u'.');
  EXPECT_EQ(inv.ShortDateFormat, u"MM/dd/yyyy");
  TFormatSettings br = TFormatSettings::Create("pt_BR.UTF-8");
  EXPECT_EQ(br.DecimalSeparator, u',');
  EXPECT_EQ(br.ThousandSeparator, u'.');
  EXPECT_EQ(br.LongMonthNames[2], u"março");
  for (const char* name : {"", "C", "POSIX", "C.UTF-8", "xx_YY", "en_US.UTF-8"})
    EXPECT_EQ(TFormatSettings::Create(name).DecimalSeparator, u'.') << name;
  EXPECT_EQ(CurrToStr(Currency{15000}, br), u"1,5");
  EXPECT_EQ(CurrToStr(Currency{-1}, TFormatSettings()), u"-0.0001");
}

}  // namespace
}  // namespace qd
