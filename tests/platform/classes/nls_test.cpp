#include <gtest/gtest.h>

#include <cstring>

#include "platform/base/strings.h"
#include "platform/os/nls.h"

namespace qd {
namespace {

String Info(LCID lcid, LCTYPE type) {
  WCHAR buf[128];
  int n = GetLocaleInfoW(lcid, type, buf, 128);
  return n > 0 ? String(buf, static_cast<size_t>(n - 1)) : u"<none>";
}

TEST(Nls, LocaleInformationByIdentifier) {
  struct Case {
    LCID lcid;
    LCTYPE type;
    const char16_t* want;
  } cases[] = {
      {0x0409, LOCALE_SDECIMAL, u"."},
      {0x0416, LOCALE_SDECIMAL, u","},
      {0x0416, LOCALE_STHOUSAND, u"."},
      {0x0407, LOCALE_SDATE, u"."},
      {0x0409, LOCALE_SSHORTDATE, u"M/d/yyyy"},
      {0x0416, LOCALE_SSHORTDATE, u"dd/MM/yyyy"},
      {0x0809, LOCALE_SSHORTDATE, u"dd/MM/yyyy"},
      {0x0416, LOCALE_STIMEFORMAT, u"HH:mm:ss"},
      {0x0409, LOCALE_S1159, u"AM"},
      {0x0416, LOCALE_SMONTHNAME1 + 2, u"março"},
      {0x0407, LOCALE_SABBREVMONTHNAME1 + 2, u"Mär"},
      {0x0416, LOCALE_SDAYNAME1 + 6, u"domingo"},
      {0x0409, LOCALE_SABBREVDAYNAME1, u"Mon"},
      {0x0416, LOCALE_SNAME, u"pt-BR"},
      {0x0416, LOCALE_SENGCOUNTRY, u"Brazil"},
      {0x0416, LOCALE_SNATIVELANGNAME, u"português"},
      {0x0809, LOCALE_IFIRSTDAYOFWEEK, u"0"},
      {0x0409, LOCALE_IFIRSTDAYOFWEEK, u"6"},
      {0x0407, LOCALE_IFIRSTWEEKOFYEAR, u"2"},
      {0x0409, LOCALE_ICALENDARTYPE, u"1"},
      {LOCALE_INVARIANT, LOCALE_SNAME, u""},
      {LOCALE_INVARIANT, LOCALE_SSHORTDATE, u"MM/dd/yyyy"},
      {0x0413, LOCALE_SDECIMAL, u"<none>"},
      {0x0409, 0x7777, u"<none>"},
      {0x10416, LOCALE_SDECIMAL, u","},  // a sort identifier does not change the data
  };
  for (const auto& c : cases) EXPECT_EQ(Info(c.lcid, c.type), c.want) << std::hex << c.lcid << " " << c.type;
  // LOCALE_RETURN_NUMBER: a DWORD in the buffer; hexadecimal language identifiers.
  DWORD v = 0;
  EXPECT_EQ(
      GetLocaleInfoW(0x0416, LOCALE_ICALENDARTYPE | LOCALE_RETURN_NUMBER, reinterpret_cast<WCHAR*>(&v), 2),
      2);
  EXPECT_EQ(v, 1u);
  EXPECT_EQ(GetLocaleInfoW(0x0416, LOCALE_ILANGUAGE | LOCALE_RETURN_NUMBER, reinterpret_cast<WCHAR*>(&v), 2),
            2);
  EXPECT_EQ(v, 0x0416u);
  EXPECT_EQ(GetLocaleInfoW(0x0416, LOCALE_SDECIMAL | LOCALE_RETURN_NUMBER, reinterpret_cast<WCHAR*>(&v), 2),
            0);
  // Sizes: 0 asks for the length; a short buffer fails.
  EXPECT_EQ(GetLocaleInfoW(0x0409, LOCALE_SSHORTDATE, nullptr, 0), 9);
  WCHAR small[4];
  EXPECT_EQ(GetLocaleInfoW(0x0409, LOCALE_SSHORTDATE, small, 4), 0);
  EXPECT_EQ(GetLocaleStr(0x0416, LOCALE_SCURRENCY), u"R$");
  WCHAR name[LOCALE_NAME_MAX_LENGTH];
  EXPECT_EQ(GetLocaleInfoEx(u"pt-br", LOCALE_SDECIMAL, name, LOCALE_NAME_MAX_LENGTH), 2);
}

void ExpectSameSettings(const TFormatSettings& a, const TFormatSettings& b, bool sameTimeMarkers) {
  EXPECT_EQ(a.DecimalSeparator, b.DecimalSeparator);
  EXPECT_EQ(a.ThousandSeparator, b.ThousandSeparator);
  EXPECT_EQ(a.CurrencyString, b.CurrencyString);
  EXPECT_EQ(a.CurrencyFormat, b.CurrencyFormat);
  EXPECT_EQ(a.NegCurrFormat, b.NegCurrFormat);
  EXPECT_EQ(a.CurrencyDecimals, b.CurrencyDecimals);
  EXPECT_EQ(a.ShortDateFormat, b.ShortDateFormat);
  EXPECT_EQ(a.LongDateFormat, b.LongDateFormat);
  EXPECT_EQ(a.DateSeparator, b.DateSeparator);
  EXPECT_EQ(a.TimeSeparator, b.TimeSeparator);
  EXPECT_EQ(a.ShortTimeFormat, b.ShortTimeFormat);
  EXPECT_EQ(a.LongTimeFormat, b.LongTimeFormat);
  if (sameTimeMarkers) {
    EXPECT_EQ(a.TimeAMString, b.TimeAMString);
    EXPECT_EQ(a.TimePMString, b.TimePMString);
  }
  EXPECT_EQ(a.LongMonthNames, b.LongMonthNames);
  EXPECT_EQ(a.ShortMonthNames, b.ShortMonthNames);
  EXPECT_EQ(a.LongDayNames, b.LongDayNames);
  EXPECT_EQ(a.ShortDayNames, b.ShortDayNames);
  EXPECT_EQ(a.ListSeparator, b.ListSeparator);
}

TEST(Nls, FormatSettingsFromLocaleValues) {
  // The locale values give the same settings as the run-time library's own tables...
  ExpectSameSettings(GetLocaleFormatSettings(0x0409), TFormatSettings::Create("en-US"), true);
  // ...except the time markers, which pt-BR leaves empty.
  const TFormatSettings pt = GetLocaleFormatSettings(0x0416);
  ExpectSameSettings(pt, TFormatSettings::Create("pt-BR"), false);
  EXPECT_EQ(pt.TimeAMString, u"");
  // Locales the tables do not know get their own values.
  const TFormatSettings ja = GetLocaleFormatSettings(0x0411);
  EXPECT_EQ(ja.ShortDateFormat, Info(0x0411, LOCALE_SSHORTDATE));
  EXPECT_EQ(ja.LongMonthNames[0], Info(0x0411, LOCALE_SMONTHNAME1));
  EXPECT_EQ(ja.LongDayNames[0], Info(0x0411, LOCALE_SDAYNAME7));  // Sunday
  EXPECT_EQ(ja.CurrencyString, Info(0x0411, LOCALE_SCURRENCY));
  // A locale without data: en-US.
  ExpectSameSettings(GetLocaleFormatSettings(0x0413), TFormatSettings(), true);
}

TEST(Nls, DefaultAndThreadLocales) {
  SetUserDefaultLCIDForTesting(0x0416);
  EXPECT_EQ(GetUserDefaultLCID(), 0x0416u);
  EXPECT_EQ(Info(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL), u",");
  EXPECT_EQ(Info(LOCALE_SYSTEM_DEFAULT, LOCALE_SNAME), u"pt-BR");
  EXPECT_EQ(GetThreadLocale(), 0x0416u);
  EXPECT_TRUE(SetThreadLocale(0x0407));
  EXPECT_EQ(GetThreadLocale(), 0x0407u);
  EXPECT_FALSE(SetThreadLocale(0x0413));  // no data for it
  EXPECT_EQ(GetThreadLocale(), 0x0407u);
  SetThreadLocale(LOCALE_USER_DEFAULT);
  EXPECT_EQ(GetThreadLocale(), 0x0416u);
  SetUserDefaultLCIDForTesting(0);

  WCHAR buf[LOCALE_NAME_MAX_LENGTH];
  EXPECT_EQ(LCIDToLocaleName(0x0809, buf, LOCALE_NAME_MAX_LENGTH, 0), 6);
  EXPECT_EQ(String(buf), u"en-GB");
  EXPECT_EQ(LCIDToLocaleName(0x1234, buf, LOCALE_NAME_MAX_LENGTH, 0), 0);
  EXPECT_EQ(LocaleNameToLCID(u"DE-de", 0), 0x0407u);
  EXPECT_EQ(LocaleNameToLCID(u"", 0), LOCALE_INVARIANT);
  EXPECT_EQ(LocaleNameToLCID(u"xx-YY", 0), 0u);
}

TEST(Nls, CompareStringFlagsAndResults) {
  struct Case {
    const char16_t* a;
    const char16_t* b;
    DWORD flags;
    int want;
  } cases[] = {
      {u"abc", u"ABC", NORM_IGNORECASE, CSTR_EQUAL},
      {u"abc", u"ABC", 0, CSTR_LESS_THAN},  // lower case first
      {u"a", u"B", 0, CSTR_LESS_THAN},      // linguistic, not code order
      {u"résumé", u"resume", NORM_IGNORECASE, CSTR_GREATER_THAN},
      {u"résumé", u"resume", NORM_IGNORECASE | NORM_IGNORENONSPACE, CSTR_EQUAL},
      {u"co-op", u"coop", 0, CSTR_GREATER_THAN},  // word sort: the hyphen weighs least
      {u"co-op", u"cop", 0, CSTR_LESS_THAN},
      {u"co-op", u"coop", SORT_STRINGSORT, CSTR_LESS_THAN},  // punctuation before letters
      {u"item10", u"item9", 0, CSTR_LESS_THAN},
      {u"item10", u"item9", SORT_DIGITSASNUMBERS, CSTR_GREATER_THAN},
      {u"", u"a", 0, CSTR_LESS_THAN},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CompareStringW(0x0409, c.flags, c.a, -1, c.b, -1), c.want)
        << StringToUtf8(c.a) << " vs " << StringToUtf8(c.b);
  EXPECT_EQ(CompareStringW(0x0409, 0, u"abcdef", 3, u"abcxyz", 3), CSTR_EQUAL);
  EXPECT_EQ(CompareStringW(0x0409, 0, nullptr, 3, u"a", 1), 0);
  EXPECT_EQ(lstrcmpiW(u"Maria", u"MARIA"), 0);
  EXPECT_LT(lstrcmpW(u"maria", u"Maria"), 0);
  EXPECT_EQ(CompareStringEx(u"pt-BR", NORM_IGNORECASE, u"ação", -1, u"AÇÃO", -1), CSTR_EQUAL);
}

TEST(Nls, CharacterTypes) {
  struct Case {
    char16_t c;
    WORD want;
  } cases[] = {
      {u'A', C1_UPPER | C1_XDIGIT | C1_ALPHA | C1_DEFINED},
      {u'z', C1_LOWER | C1_ALPHA | C1_DEFINED},
      {u'5', C1_DIGIT | C1_XDIGIT | C1_DEFINED},
      {u' ', C1_SPACE | C1_BLANK | C1_DEFINED},
      {u'\t', C1_SPACE | C1_CNTRL | C1_BLANK | C1_DEFINED},
      {u'\n', C1_SPACE | C1_CNTRL | C1_DEFINED},
      {u'+', C1_PUNCT | C1_DEFINED},
      {u'$', C1_PUNCT | C1_DEFINED},
      {u'.', C1_PUNCT | C1_DEFINED},
      {u'Ç', C1_UPPER | C1_ALPHA | C1_DEFINED},
      {u'ã', C1_LOWER | C1_ALPHA | C1_DEFINED},
      {0x4E2D, C1_ALPHA | C1_DEFINED},
      {0x0378, 0},  // unassigned
  };
  for (const auto& c : cases) {
    WORD t = 0xFFFF;
    ASSERT_TRUE(GetStringTypeW(CT_CTYPE1, &c.c, 1, &t));
    EXPECT_EQ(t, c.want) << std::hex << static_cast<int>(c.c);
  }
  WORD types[4];
  EXPECT_TRUE(GetStringTypeW(CT_CTYPE1, u"a1", -1, types));  // the terminating zero too
  EXPECT_EQ(types[2], C1_CNTRL | C1_DEFINED);
  EXPECT_FALSE(GetStringTypeW(CT_CTYPE2, u"a", 1, types));
}

}  // namespace
}  // namespace qd
