// Date utilities: week numbering, start of week, the date-to-text formatter, locale formats,
// month names, the smart-input mask and the time-zone list read from the registry.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/classes/registry.h"
#include "platform/classes/registry_timezones.h"
#include "platform/os/modules.h"
#include "platform/os/nls.h"
#include "platform/os/timezone.h"
#include "ui/core/cxCalendarTables.h"
#include "ui/core/cxDateUtils.h"
#include "ui/core/cxFormats.h"
#include "ui/core/cxLibraryStrs.h"
#include "ui_core_test_util.h"

namespace qd::testing {
namespace {

class DateUtilsTest : public UiCoreTest {
 protected:
  void SetUp() override {
    UiCoreTest::SetUp();
    savedSettings_ = FormatSettings();
    Use("pt_BR", 0x0416);
    cxDateUtils::Initialize();
    cxFormats::Initialize();
  }
  void TearDown() override {
    cxFormats::Finalize();
    cxDateUtils::Finalize();
    dxResetAssignedStartOfWeek();
    ResetLocaleInfoForTesting();
    SetThreadLocale(LOCALE_USER_DEFAULT);
    FormatSettings() = savedSettings_;
    os::SetTimeZoneForTesting("");
    RegistryClear();
    dxCore::Finalize();
    UiCoreTest::TearDown();
  }

  static void Use(const char* ARunTime, LCID ALocale) {
    FormatSettings() = TFormatSettings::Create(ARunTime);
    SetThreadLocale(ALocale);
  }
  static std::string Utf8(const String& s) { return StringToUtf8(s); }

  TFormatSettings savedSettings_;
};

TEST_F(DateUtilsTest, WeekNumbers) {
  struct Case {
    int y, m, d;
    TDay start;
    TcxFirstWeekOfYear rule;
    int week;
  } cases[] = {
      {2021, 1, 1, dMonday, fwyFirstFourDays, 53},
      {2021, 1, 4, dMonday, fwyFirstFourDays, 1},
      {2024, 12, 30, dMonday, fwyFirstFourDays, 1},
      {2020, 12, 31, dMonday, fwyFirstFourDays, 53},
      {2024, 1, 1, dSunday, fwyJan1, 1},
      {2024, 12, 29, dSunday, fwyJan1, 1},
      {2024, 12, 28, dSunday, fwyJan1, 52},
      {2023, 1, 1, dSunday, fwyFirstFullWeek, 1},
      {2022, 1, 1, dSunday, fwyFirstFullWeek, 52},
      {2022, 1, 2, dSunday, fwyFirstFullWeek, 1},
      {2024, 6, 15, dMonday, fwyFirstFourDays, 24},
      {9999, 12, 31, dMonday, fwyFirstFourDays, 52},
      {2026, 1, 1, dSunday, fwySystem, 1},
      {2025, 12, 28, dSunday, fwySystem, 1},
  };
  for (const Case& c : cases) {
    dxSetStartOfWeek(c.start);
    const TDateTime date = EncodeDate(c.y, c.m, c.d) + 0.75;
    SCOPED_TRACE(std::to_string(c.y) + "-" + std::to_string(c.m) + "-" + std::to_string(c.d));
    EXPECT_EQ(dxGetWeekNumber(date, c.start, c.rule), c.week);
    // The start-of-week argument is not used: the assigned start counts.
    for (int other = dSunday; other <= dSaturday; ++other)
      EXPECT_EQ(dxGetWeekNumber(date, static_cast<TDay>(other), c.rule), c.week);
  }
}

TEST_F(DateUtilsTest, StartOfWeekFollowsLocaleUntilAssigned) {
  struct Case {
    LCID locale;
    TDay local;
    TcxFirstWeekOfYear firstWeek;
  } cases[] = {
      {0x0416, dSunday, fwyJan1},
      {0x0411, dSunday, fwyJan1},
      {0x0809, dMonday, fwyFirstFourDays},
  };
  for (const Case& c : cases) {
    SetThreadLocale(c.locale);
    EXPECT_EQ(dxGetLocalStartOfWeek(), c.local) << c.locale;
    EXPECT_EQ(dxGetStartOfWeek(), c.local) << c.locale;
    EXPECT_EQ(dxGetLocalFirstWeekOfYear(), c.firstWeek) << c.locale;
  }
  EXPECT_FALSE(dxGetAssignedStartOfWeek());
  dxSetStartOfWeek(dWednesday);
  EXPECT_TRUE(dxGetAssignedStartOfWeek());
  EXPECT_EQ(dxGetStartOfWeek(), dWednesday);
  // 2024-03-07 is a Thursday.
  EXPECT_EQ(dxDayOfWeek(EncodeDate(2024, 3, 7)), dThursday);
  EXPECT_EQ(dxDayOfWeekOffset(EncodeDate(2024, 3, 7)), 1);
  EXPECT_EQ(dxDayOfWeekOffset(EncodeDate(2024, 3, 7), dFriday), 6);
  EXPECT_EQ(dxGetStartDateOfWeek(EncodeDate(2024, 3, 7) + 0.5), EncodeDate(2024, 3, 6));
  dxResetAssignedStartOfWeek();
  EXPECT_EQ(dxGetStartOfWeek(), dMonday);  // en-GB is still the thread locale
  EXPECT_EQ(dxDayOfWeekFromSystem(6), dSunday);
  EXPECT_EQ(dxDayOfWeekFromSystem(0), dMonday);
  EXPECT_EQ(dxDayOfWeekFromVCL(1), dSunday);
  EXPECT_EQ(dxDayOfWeekFromVCL(7), dSaturday);
}

TEST_F(DateUtilsTest, DateOf) {
  EXPECT_EQ(dxDateOf(45000.75), 45000.0);
  EXPECT_EQ(dxDateOf(-1.5), -1.0);  // 1899-12-29 12:00
  EXPECT_EQ(dxDateOf(-700000), -700000);
}

TEST_F(DateUtilsTest, DateToStrByFormat) {
  const TDateTime date = EncodeDate(2024, 3, 5);  // a Tuesday
  struct Case {
    const char16_t* runTime;
    const char16_t* format;
    Char separator;
    const char* expected;
  } cases[] = {
      {u"en_US", u"dd/mm/yyyy", u'-', "05-03-2024"},
      {u"en_US", u"mmm", u'-', "03"},
      {u"en_US", u"ddd", u'-', "Tue"},
      {u"en_US", u"dddd d", 0, "Tuesday 5"},
      {u"en_US", u"DD.MM.YY", 0, "05.03.24"},
      {u"en_US", u"xx dd-m", 0, "05-03"},
      {u"en_US", u"yyy", 0, "24"},
      {u"pt_BR", u"d 'de' mmmm 'de' yyyy", 0, "5 de março de 2024"},
      {u"pt_BR", u"mmmm", u'/', "março"},
      {u"en_US", u"e dd", 0, "05"},
      {u"en_US", u"dd ee/mm", 0, "0503"},
      {u"en_US", u"\"x\"d", u'/', "/5"},
  };
  for (const Case& c : cases) {
    FormatSettings() = TFormatSettings::Create(StringToUtf8(c.runTime));
    EXPECT_EQ(Utf8(cxDateToStrByFormat(date, c.format, c.separator)), c.expected) << Utf8(c.format);
  }
}

TEST_F(DateUtilsTest, SmartInputMask) {
  const std::string words =
      "'today'|'yesterday'|'tomorrow'|'Sunday'|'Monday'|'Tuesday'|'Wednesday'|'Thursday'|'Friday'|'Saturday'|"
      "'first'|'second'|'third'|'fourth'|'fifth'|'sixth'|'seventh'|'bom'|'eom'";
  const std::string offset = ")((\\+|-)\\d(\\d(\\d\\d?)?)?)?";
  String mask = u"A";
  AddDateRegExprMaskSmartInput(mask, true);
  EXPECT_EQ(Utf8(mask), "(A)|(" + words + "|'now'" + offset);
  mask = u"A";
  AddDateRegExprMaskSmartInput(mask, false);
  EXPECT_EQ(Utf8(mask), "(A)|(" + words + offset);
  EXPECT_EQ(Utf8(scxDateEditSmartInput[deiBOM]), "bom");

  // Translated words are reloaded; an apostrophe is escaped outside the quotes.
  cxSetResourceString(&cxSDateToday, u"aujourd'hui");
  cxSetResourceString(&cxSDateNow, u"'");
  mask = u"B";
  AddDateRegExprMaskSmartInput(mask, true);
  cxClearResourceStrings();
  EXPECT_EQ(Utf8(mask).substr(0, 20), "(B)|('aujourd'\\''hui");
  EXPECT_NE(Utf8(mask).find("|\\'" + offset), std::string::npos) << Utf8(mask);
}

TEST_F(DateUtilsTest, LocaleFormats) {
  struct Case {
    LCID locale;
    Char dateSep;
    const char* shortDate;
    const char* longTime;
    const char* am;
    const char* pm;
  } cases[] = {
      {0x0416, u'/', "dd/MM/yyyy", "HH:mm:ss", "", ""},
      {0x0409, u'/', "M/d/yyyy", "h:mm:ss tt", "AM", "PM"},
      {0x0407, u'.', "dd.MM.yyyy", "HH:mm:ss", "", ""},
      {0x0411, u'/', "yyyy/MM/dd", "H:mm:ss", "午前", "午後"},
      {0x0401, u'/', "dd/MM/yy", "hh:mm:ss tt", "ص", "م"},
  };
  FormatSettings().ListSeparator = u'|';
  for (const Case& c : cases) {
    SetThreadLocale(c.locale);
    const TFormatSettings s = cxGetLocalFormatSettings();
    EXPECT_EQ(s.DateSeparator, c.dateSep) << c.locale;
    EXPECT_EQ(s.TimeSeparator, u':') << c.locale;
    EXPECT_EQ(Utf8(s.ShortDateFormat), c.shortDate) << c.locale;
    EXPECT_EQ(Utf8(s.LongTimeFormat), c.longTime) << c.locale;
    EXPECT_EQ(Utf8(s.TimeAMString), c.am) << c.locale;
    EXPECT_EQ(Utf8(s.TimePMString), c.pm) << c.locale;
    EXPECT_EQ(s.ListSeparator, u'|');
    EXPECT_TRUE(s.CurrencyString.empty());
    EXPECT_TRUE(s.LongMonthNames[0].empty());
  }
  EXPECT_EQ(Utf8(cxGetLocalLongDateFormat()), "dd/MMMM/yyyy");
}

TEST_F(DateUtilsTest, LocalMonthNames) {
  TcxCustomCalendarTable* gregorian = cxGetCalendar(1);
  struct Case {
    LCID locale;
    const char* runTime;
    int month;
    const char* name;
  } cases[] = {
      {0x0416, "pt_BR", 3, "março"},
      {0x0409, "en_US", 11, "November"},
      {0x0411, "en_US", 4, "4月"},
      {0x040D, "en_US", 1, "ינואר"},
  };
  for (const Case& c : cases) {
    Use(c.runTime, c.locale);
    cxFormatController()->FormatChanged();
    EXPECT_EQ(Utf8(cxGetLocalMonthName(2024, c.month, gregorian)), c.name) << c.locale;
    EXPECT_EQ(Utf8(cxGetLocalMonthName(EncodeDate(2024, c.month, 17), gregorian)), c.name) << c.locale;
  }
  // The run-time names when they are in use.
  Use("en_US", 0x0416);
  cxFormatController()->SetUseRunTimeDateTimeFormats(true);
  EXPECT_EQ(Utf8(cxGetLocalMonthName(2024, 3, gregorian)), "March");
  String text;
  ASSERT_TRUE(cxGetDateFormat(EncodeDate(2024, 3, 5), text, 0, u"dd/mm/yyyy"));
  EXPECT_EQ(Utf8(text), "05/03/2024");
  cxFormatController()->SetUseRunTimeDateTimeFormats(false);
  EXPECT_EQ(Utf8(cxGetLocalMonthName(2024, 13, gregorian)), "");
}

TEST_F(DateUtilsTest, HijriMonthNamesOfArabicLocale) {
  Use("en_US", 0x0401);
  cxFormatController()->FormatChanged();
  EXPECT_FALSE(cxFormatController()->LocalIsGregorianCalendar());
  TcxCustomCalendarTable* hijri = cxGetCalendar(6);
  ASSERT_NE(hijri, nullptr);
  // Month 9 of the Hijri year is Ramadan, month 1 Muharram.
  EXPECT_EQ(Utf8(cxGetLocalMonthName(1445, 9, hijri)), "رمضان");
  EXPECT_EQ(Utf8(cxGetLocalMonthName(1446, 1, hijri)), "محرم");
  String text;
  ASSERT_TRUE(cxGetDateFormat(hijri->ToDateTime(1445, 9, 1), text, 0, u"d/M/yyyy"));
  EXPECT_EQ(Utf8(text), "1/9/1445");
}

TEST_F(DateUtilsTest, HebrewMonthNamesWhenTheLocaleUsesTheHebrewCalendar) {
  Use("en_US", 0x040D);
  ASSERT_TRUE(SetLocaleInfoW(0x040D, LOCALE_ICALENDARTYPE, u"8"));
  cxFormatController()->FormatChanged();
  TcxCustomCalendarTable* hebrew = cxGetCalendar(8);
  struct Case {
    int year, month;
    const char* name;
  } cases[] = {
      {5784, 1, "תשרי"}, {5784, 6, "אדר א׳"}, {5784, 7, "אדר ב׳"}, {5784, 8, "ניסן"}, {5784, 13, "אלול"},
      {5785, 6, "אדר"},  {5785, 7, "ניסן"},   {5785, 12, "אלול"},  {5785, 13, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Utf8(cxGetLocalMonthName(c.year, c.month, hebrew)), c.name) << c.year << "/" << c.month;
  String text;
  ASSERT_TRUE(cxGetDateFormat(EncodeDate(2024, 3, 11), text, 0, u"d/M/yyyy"));
  EXPECT_EQ(Utf8(text), "1/7/5784");
}

TEST_F(DateUtilsTest, SystemDateFormat) {
  SYSTEMTIME st;
  st.wYear = 2024;
  st.wMonth = 3;
  st.wDay = 5;
  struct Case {
    LCID locale;
    DWORD flags;
    const char16_t* format;
    const char* expected;
  } cases[] = {
      {0x0416, 0, nullptr, "05/03/2024"},
      {0x0416, DATE_LONGDATE, nullptr, "terça-feira, 5 de março de 2024"},
      {0x0409, 0, u"ddMMMM", "05March"},
      {0x0409, 0, u"MMM d, yy 'o''clock'", "Mar 5, 24 o'clock"},
      {0x0411, DATE_LONGDATE, nullptr, "2024年3月5日"},
      {0x0409, DATE_YEARMONTH, nullptr, "March 2024"},
      {0x0419, 0, u"d MMMM", "5 марта"},
      {0x0419, 0, u"MMMM yyyy", "март 2024"},
      {0x0419, 0, u"dddd MMMM", "вторник март"},
      {0x0419, DATE_LONGDATE, nullptr, "5 марта 2024 г."},
  };
  for (const Case& c : cases) {
    WCHAR buffer[64];
    const int n = GetDateFormatW(c.locale, c.flags, &st, c.format, buffer, 64);
    ASSERT_GT(n, 0) << c.expected;
    EXPECT_EQ(Utf8(String(buffer, static_cast<size_t>(n - 1))), c.expected);
  }
  // A user override of the short date format; LOCALE_NOUSEROVERRIDE reads the locale's own.
  ASSERT_TRUE(SetLocaleInfoW(0x0409, LOCALE_SSHORTDATE, u"yyyy-MM-dd"));
  WCHAR buffer[32];
  ASSERT_GT(GetDateFormatW(0x0409, 0, &st, nullptr, buffer, 32), 0);
  EXPECT_EQ(Utf8(buffer), "2024-03-05");
  ASSERT_GT(GetDateFormatW(0x0409, LOCALE_NOUSEROVERRIDE, &st, nullptr, buffer, 32), 0);
  EXPECT_EQ(Utf8(buffer), "3/5/2024");
  EXPECT_EQ(Utf8(GetLocaleStr(0x0409, LOCALE_SSHORTDATE | LOCALE_NOUSEROVERRIDE)), "M/d/yyyy");
  EXPECT_FALSE(SetLocaleInfoW(0x0413, LOCALE_SSHORTDATE, u"x"));  // a locale without data
  WCHAR small[4];
  EXPECT_EQ(GetDateFormatW(0x0409, 0, &st, u"MMMM", small, 4), 0);
  EXPECT_EQ(GetDateFormatW(0x0409, 0, &st, u"MMMM", nullptr, 0), 6);
  st.wDay = 31;
  st.wMonth = 2;
  EXPECT_EQ(GetDateFormatW(0x0409, 0, &st, u"MMMM", small, 4), 0);
  String text = u"x";
  SetThreadLocale(0x0409);
  EXPECT_FALSE(
      cxGetDateFormat(EncodeDate(2024, 3, 5), text, DATE_LONGDATE, u"MMMM"));  // flags with a picture
  EXPECT_TRUE(text.empty());
}

// --- Time zones ---------------------------------------------------------------------------

// The packed daylight-saving entries hold unaligned dates: compare copies.
TDateTime Value(TDateTime AValue) {
  return AValue;
}

TBytes TziBytes(int32_t bias, int32_t daylightBias, const SYSTEMTIME& standard, const SYSTEMTIME& daylight) {
  TcxTZIField f;
  f.Bias = bias;
  f.DaylightBias = daylightBias;
  f.StandardDate = standard;
  f.DaylightDate = daylight;
  TBytes b(sizeof(f));
  std::memcpy(b.data(), &f, sizeof(f));
  return b;
}

SYSTEMTIME Rule(int month, int week, int dayOfWeek, int hour) {
  SYSTEMTIME st;
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(week);
  st.wDayOfWeek = static_cast<WORD>(dayOfWeek);
  st.wHour = static_cast<WORD>(hour);
  return st;
}

const String kZones = kRegistryTimeZonesKey;

void AddZone(const String& AKey, const String& AStd, int32_t ABias, const TBytes& ATzi) {
  const String key = kZones + u"\\" + AKey;
  RegistrySetString(HKEY_LOCAL_MACHINE, key, u"Display", u"(UTC) " + AKey);
  RegistrySetString(HKEY_LOCAL_MACHINE, key, u"Std", AStd);
  RegistrySetString(HKEY_LOCAL_MACHINE, key, u"Dlt", AStd + u" DST");
  RegistrySetString(HKEY_LOCAL_MACHINE, key, u"MapID", u"-1,72");
  RegistrySetDWORD(HKEY_LOCAL_MACHINE, key, u"Index", static_cast<uint32_t>(ABias));
  RegistrySetValue(HKEY_LOCAL_MACHINE, key, u"TZI", REG_BINARY, ATzi);
}

TEST_F(DateUtilsTest, TransitionDates) {
  struct Case {
    SYSTEMTIME rule;
    int year;
    int y, m, d, h;
  } cases[] = {
      {Rule(3, 2, 0, 2), 2024, 2024, 3, 10, 2},   {Rule(11, 1, 0, 2), 2024, 2024, 11, 3, 2},
      {Rule(10, 5, 0, 3), 2024, 2024, 10, 27, 3}, {Rule(3, 5, 0, 2), 2023, 2023, 3, 26, 2},
      {Rule(2, 5, 4, 0), 2024, 2024, 2, 29, 0},   {Rule(9, 1, 0, 0), 2024, 2024, 9, 1, 0},
      {Rule(9, 4, 6, 0), 2024, 2024, 9, 28, 0},   {Rule(4, 1, 5, 23), 2024, 2024, 4, 5, 23},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TdxTimeZoneHelper::CalculateTransitionDate(c.year, c.rule),
              EncodeDate(c.y, c.m, c.d) + EncodeTime(c.h, 0, 0, 0))
        << c.m << "/" << c.d;
  SYSTEMTIME absolute = Rule(4, 17, 0, 1);
  absolute.wYear = 2019;
  EXPECT_EQ(TdxTimeZoneHelper::CalculateTransitionDate(2019, absolute), EncodeDate(2019, 4, 17) + 1.0 / 24);
}

TEST_F(DateUtilsTest, TimeZoneListFromRegistry) {
  RegistryClear();
  const TBytes usTzi = TziBytes(300, -60, Rule(11, 1, 0, 2), Rule(3, 2, 0, 2));
  AddZone(u"Eastern Standard Time", u"Eastern Standard Time", 300, usTzi);
  AddZone(u"E. South America Standard Time", u"E. South America Standard Time", 180,
          TziBytes(180, -60, SYSTEMTIME(), SYSTEMTIME()));
  AddZone(u"UTC", u"Coordinated Universal Time", 0, TziBytes(0, 0, SYSTEMTIME(), SYSTEMTIME()));
  const String dynamic = kZones + u"\\E. South America Standard Time\\Dynamic DST";
  RegistrySetDWORD(HKEY_LOCAL_MACHINE, dynamic, u"FirstEntry", 2018);
  RegistrySetDWORD(HKEY_LOCAL_MACHINE, dynamic, u"LastEntry", 2020);
  RegistrySetValue(HKEY_LOCAL_MACHINE, dynamic, u"2018", REG_BINARY,
                   TziBytes(180, -60, Rule(2, 3, 0, 0), Rule(11, 1, 0, 0)));
  RegistrySetValue(HKEY_LOCAL_MACHINE, dynamic, u"2019", REG_BINARY,
                   TziBytes(180, -60, SYSTEMTIME(), SYSTEMTIME()));
  RegistrySetValue(HKEY_LOCAL_MACHINE, dynamic, u"2020", REG_BINARY, TBytes(20, 0));  // too short: skipped

  os::SetTimeZoneForTesting("America/Sao_Paulo");
  TdxTimeZoneHelper::InitTimeZoneInformation();
  ASSERT_EQ(TdxTimeZoneHelper::TimeZoneCount(), 3);
  const TcxTimeZoneInformation& us = TdxTimeZoneHelper::TimeZoneInformations(0);
  EXPECT_EQ(Utf8(us.StandardName), "Eastern Standard Time");
  EXPECT_EQ(Utf8(us.DaylightName), "Eastern Standard Time DST");
  EXPECT_EQ(Utf8(us.Display), "(UTC) Eastern Standard Time");
  EXPECT_EQ(Utf8(us.MapId), "-1,72");
  EXPECT_EQ(us.Index, 300);
  EXPECT_EQ(us.TZI.Bias, 300);
  EXPECT_EQ(us.TZI.DaylightBias, -60);
  EXPECT_EQ(us.TZI.DaylightDate.wMonth, 3);
  EXPECT_EQ(us.TZI.DaylightDate.wDay, 2);
  EXPECT_TRUE(us.DynamicDST.empty());

  const TcxTimeZoneInformation& br = TdxTimeZoneHelper::TimeZoneInformations(1);
  ASSERT_EQ(br.DynamicDST.size(), 2u);
  EXPECT_EQ(br.DynamicDST[0].Year, 2018);
  EXPECT_EQ(Value(br.DynamicDST[0].StartDate), EncodeDate(2018, 11, 4));
  EXPECT_EQ(Value(br.DynamicDST[0].EndDate), EncodeDate(2018, 2, 18));
  EXPECT_EQ(br.DynamicDST[1].Year, 2019);
  EXPECT_EQ(Value(br.DynamicDST[1].StartDate), 0);
  EXPECT_EQ(Value(br.DynamicDST[1].EndDate), 0);

  // The system's zone found by its key name.
  EXPECT_EQ(TdxTimeZoneHelper::CurrentTimeZone(), 1);
  EXPECT_EQ(TdxTimeZoneHelper::DefaultTimeZoneInfo().TZI.Bias, 180);

  // Without GetDynamicTimeZoneInformation the zone is found by bias and standard name.
  os::SetTimeZoneForTesting("Etc/UTC");
  {
    os::ScopedModuleTable table;
    os::RemoveExport("kernel32.dll", "GetDynamicTimeZoneInformation");
    DYNAMIC_TIME_ZONE_INFORMATION info;
    EXPECT_FALSE(dxGetDynamicTimeZoneInformation(info));
    AddZone(u"UTC", u"UTC", 0, TziBytes(0, 0, SYSTEMTIME(), SYSTEMTIME()));
    TdxTimeZoneHelper::InitTimeZoneInformation();
    EXPECT_EQ(TdxTimeZoneHelper::CurrentTimeZone(), 2);
  }
  TdxTimeZoneHelper::DoneTimeZoneInformation();
  EXPECT_EQ(TdxTimeZoneHelper::TimeZoneCount(), 0);
}

TEST_F(DateUtilsTest, StoredDaylightTableIsBounded) {
  RegistryClear();
  AddZone(u"Test Standard Time", u"Test Standard Time", 0, TziBytes(0, 0, SYSTEMTIME(), SYSTEMTIME()));
  const String dynamic = kZones + u"\\Test Standard Time\\Dynamic DST";
  RegistrySetDWORD(HKEY_LOCAL_MACHINE, dynamic, u"FirstEntry", 0x80000000u);
  RegistrySetDWORD(HKEY_LOCAL_MACHINE, dynamic, u"LastEntry", 0x7FFFFFFFu);
  RegistrySetValue(HKEY_LOCAL_MACHINE, dynamic, u"2001", REG_BINARY,
                   TziBytes(0, -60, Rule(10, 5, 0, 3), Rule(3, 5, 0, 2)));
  // A rule for a month that does not exist names no date: the year is left out.
  RegistrySetValue(HKEY_LOCAL_MACHINE, dynamic, u"2002", REG_BINARY,
                   TziBytes(0, -60, Rule(13, 5, 0, 3), Rule(3, 5, 0, 2)));
  TdxTimeZoneHelper::InitTimeZoneInformation();
  ASSERT_EQ(TdxTimeZoneHelper::TimeZoneCount(), 1);
  const TcxTimeZoneInformation& zone = TdxTimeZoneHelper::TimeZoneInformations(0);
  ASSERT_EQ(zone.DynamicDST.size(), 1u);
  EXPECT_EQ(Value(zone.DynamicDST[0].StartDate), EncodeDate(2001, 3, 25) + 2.0 / 24);
  EXPECT_EQ(Value(zone.DynamicDST[0].EndDate), EncodeDate(2001, 10, 28) + 3.0 / 24);
}

TEST_F(DateUtilsTest, SystemZonesFromTheTzDatabase) {
  RegistryClear();
  RegistryAddSystemTimeZones(2017, 2020, 2024);
  os::SetTimeZoneForTesting("America/New_York");
  TdxTimeZoneHelper::InitTimeZoneInformation();
  ASSERT_GT(TdxTimeZoneHelper::TimeZoneCount(), 100);
  const TcxTimeZoneInformation& current =
      TdxTimeZoneHelper::TimeZoneInformations(TdxTimeZoneHelper::CurrentTimeZone());
  EXPECT_EQ(Utf8(current.StandardName), "Eastern Standard Time");
  EXPECT_EQ(Utf8(current.DaylightName), "Eastern Daylight Time");
  EXPECT_EQ(Utf8(current.Display), "(UTC-05:00) Eastern Time");
  EXPECT_EQ(current.TZI.Bias, 300);
  EXPECT_EQ(current.TZI.DaylightBias, -60);
  const SYSTEMTIME& start = current.TZI.DaylightDate;
  const SYSTEMTIME& end = current.TZI.StandardDate;
  EXPECT_EQ(std::vector<int>({start.wMonth, start.wDay, start.wDayOfWeek, start.wHour}),
            std::vector<int>({3, 2, 0, 2}));
  EXPECT_EQ(std::vector<int>({end.wMonth, end.wDay, end.wDayOfWeek, end.wHour}),
            std::vector<int>({11, 1, 0, 2}));
  EXPECT_TRUE(current.DynamicDST.empty());  // unchanged rules in 2017..2020

  // Brazil gave up daylight time in 2019: the years differ, so the zone has a table.
  bool found = false;
  for (int32_t i = 0; i < TdxTimeZoneHelper::TimeZoneCount(); ++i) {
    const TcxTimeZoneInformation& z = TdxTimeZoneHelper::TimeZoneInformations(i);
    if (z.StandardName != u"E. South America Standard Time") continue;
    found = true;
    EXPECT_EQ(z.TZI.Bias, 180);
    EXPECT_EQ(Utf8(z.Display), "(UTC-03:00) Brasilia Time");
    EXPECT_EQ(z.TZI.StandardDate.wMonth, 0);
    ASSERT_EQ(z.DynamicDST.size(), 4u);
    EXPECT_EQ(z.DynamicDST[0].Year, 2017);
    EXPECT_EQ(Value(z.DynamicDST[0].StartDate), EncodeDate(2017, 10, 15));
    EXPECT_EQ(Value(z.DynamicDST[0].EndDate), EncodeDate(2017, 2, 19));
    EXPECT_EQ(Value(z.DynamicDST[3].StartDate), 0);
  }
  EXPECT_TRUE(found);

  TIME_ZONE_INFORMATION tzi;
  EXPECT_NE(GetTimeZoneInformation(&tzi), TIME_ZONE_ID_UNKNOWN);
  EXPECT_EQ(tzi.Bias, 300);
  EXPECT_EQ(Utf8(TdxTimeZoneHelper::DefaultTimeZoneInfo().StandardName), "Eastern Standard Time");
}

}  // namespace
}  // namespace qd::testing
