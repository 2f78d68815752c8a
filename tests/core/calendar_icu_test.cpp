// The calendar tables against ICU's calendars, day by day over long spans.
#include <gtest/gtest.h>
#include <unicode/calendar.h>
#include <unicode/timezone.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>

#include "platform/base/format.h"
#include "platform/base/strings.h"
#include "ui/core/cxCalendarTables.h"

namespace qd {
namespace {

std::string DateText(TDateTime ADate) {
  return StringToUtf8(DateToStr(ADate));
}

struct TIcuDate {
  int32_t Era, Year, Month, Day;  // Month 0-based, as ICU counts
  bool Leap;                      // the year is a leap year (Hebrew: has 13 months)
  int32_t DaysInYear;
};

class TIcuCalendar {
 public:
  explicit TIcuCalendar(const char* AType) {
    UErrorCode status = U_ZERO_ERROR;
    const std::string locale = std::string("en_US@calendar=") + AType;
    FCalendar.reset(icu::Calendar::createInstance(icu::TimeZone::createTimeZone("GMT"),
                                                  icu::Locale(locale.c_str()), status));
    EXPECT_TRUE(U_SUCCESS(status)) << AType;
  }

  TIcuDate Get(TDateTime ADate) {
    UErrorCode status = U_ZERO_ERROR;
    FCalendar->setTime((static_cast<double>(static_cast<int64_t>(ADate)) - 25569.0) * 86400000.0, status);
    TIcuDate r{};
    r.Era = FCalendar->get(UCAL_ERA, status);
    r.Year = FCalendar->get(UCAL_YEAR, status);
    r.Month = FCalendar->get(UCAL_MONTH, status);
    r.Day = FCalendar->get(UCAL_DATE, status);
    r.DaysInYear = FCalendar->getActualMaximum(UCAL_DAY_OF_YEAR, status);
    r.Leap = r.DaysInYear > 380;
    EXPECT_TRUE(U_SUCCESS(status));
    return r;
  }

 private:
  std::unique_ptr<icu::Calendar> FCalendar;
};

// ICU numbers the Hebrew months 0..12 in every year, Adar I (5) only in leap years; the
// tables count the months a year has, from Tishri.
int32_t HebrewMonthOfIcu(const TIcuDate& ADate) {
  if (ADate.Leap) return ADate.Month + 1;
  return ADate.Month < 5 ? ADate.Month + 1 : ADate.Month;
}

void ExpectRoundTrip(const TcxCustomCalendarTable& ATable, TDateTime ADate, const TcxDateTime& AConverted) {
  EXPECT_EQ(ATable.ToDateTime(AConverted), ADate) << DateText(ADate);
}

// ICU postpones Rosh Hashana once more when a Sunday molad after 15h 589p following a leap
// year has already moved it to Monday (it applies the Monday rule to the postponed day), so
// it starts 5462, 5560 and 5807 on Tuesday. Those years and the ones before them are
// checked against the dates that follow from the rules instead.
bool IcuMisplacesHebrewYear(int32_t AHebrewYear) {
  for (int32_t year : {5462, 5560, 5807})
    if (AHebrewYear == year || AHebrewYear == year - 1) return true;
  return false;
}

TEST(CalendarIcu, HebrewNewYearAfterALateSundayMoladIsMonday) {
  const TcxCustomCalendarTable& table = *cxGetCalendar(CAL_HEBREW);
  struct TCase {
    int32_t HebrewYear;
    TDateTime FirstOfTishri;
  };
  for (const TCase& c : {TCase{5462, EncodeDate(1701, 10, 3)}, TCase{5560, EncodeDate(1799, 9, 30)},
                         TCase{5807, EncodeDate(2046, 10, 1)}}) {
    EXPECT_EQ(table.ToDateTime(c.HebrewYear, 1, 1), c.FirstOfTishri) << c.HebrewYear;
    EXPECT_EQ(table.GetDaysInYear(c.HebrewYear - 1), 384) << c.HebrewYear;
    EXPECT_EQ(table.GetDaysInYear(c.HebrewYear), 355) << c.HebrewYear;
  }
}

TEST(CalendarIcu, HebrewYearTableFollowsTheCalendarRules) {
  const TcxHebrewTable& table = cxHebrewTable();
  EXPECT_EQ(table[0], (std::array<int32_t, 2>{7, 3}));
  EXPECT_EQ(table[1], (std::array<int32_t, 2>{17, 3}));
  EXPECT_EQ(table[2], (std::array<int32_t, 2>{0, 4}));
  EXPECT_EQ(table[3], (std::array<int32_t, 2>{11, 2}));
  TIcuCalendar icu("hebrew");
  for (int32_t i = 0; i < cxHebrewTableSize; ++i) {
    const int32_t year = cxHebrewTableFirstYear + i;
    if (IcuMisplacesHebrewYear(year + 3760)) continue;
    const TIcuDate h = icu.Get(EncodeDate(year, 1, 1));
    const int32_t month = HebrewMonthOfIcu(h);
    int32_t code = h.Day;
    if (month == 3) code = h.Day == 30 ? 30 : 33;
    if (month == 5) code = h.Day == 1 ? 0 : 29 + h.Day;
    const int32_t lengthType = h.DaysInYear - (h.Leap ? 383 : 353) + 1;
    ASSERT_EQ(h.Year, year + 3760);
    EXPECT_EQ(table[i][0], code) << year;
    EXPECT_EQ(table[i][1], lengthType + (h.Leap ? 3 : 0)) << year;
  }
}

TEST(CalendarIcu, HebrewDatesMatchIcuOverTheWholeRange) {
  const TcxCustomCalendarTable& table = *cxGetCalendar(CAL_HEBREW);
  TIcuCalendar icu("hebrew");
  for (TDateTime d = EncodeDate(1583, 1, 1); d <= EncodeDate(2239, 9, 29); d += 3) {
    const TcxDateTime c = table.FromDateTime(d);
    ExpectRoundTrip(table, d, c);
    if (IcuMisplacesHebrewYear(c.Year)) continue;
    const TIcuDate h = icu.Get(d);
    ASSERT_EQ(c.Year, h.Year) << DateText(d);
    ASSERT_EQ(c.Month, HebrewMonthOfIcu(h)) << DateText(d);
    ASSERT_EQ(c.Day, h.Day) << DateText(d);
    EXPECT_EQ(table.IsLeapYear(c.Year), h.Leap);
    EXPECT_EQ(table.GetDaysInYear(c.Year), h.DaysInYear);
  }
}

// The tables' Hijri calendar is the arithmetic one with the Thursday epoch (ICU's
// "islamic-tbla"), but with year 15 of each 30-year cycle leap where ICU makes year 16
// leap. In between, ICU's day labels run one day ahead.
TEST(CalendarIcu, HijriDatesMatchIcuOutsideTheOneYearWhereTheLeapRulesDiffer) {
  const TcxCustomCalendarTable& table = *cxGetCalendar(CAL_HIJRI);
  TIcuCalendar icu("islamic-tbla");
  for (TDateTime d = table.GetMinSupportedDate(); d <= EncodeDate(9999, 12, 31); d += 5) {
    const TcxDateTime c = table.FromDateTime(d);
    ExpectRoundTrip(table, d, c);
    const int32_t cycleYear = c.Year % 30;
    if (cycleYear == 15 && c.Month == 12 && c.Day == 30) {
      const TIcuDate h = icu.Get(d);
      ASSERT_EQ(std::make_tuple(h.Year, h.Month, h.Day), std::make_tuple(c.Year + 1, 0, 1)) << DateText(d);
      continue;
    }
    const TIcuDate h = icu.Get(cycleYear == 16 ? d - 1 : d);
    ASSERT_EQ(c.Year, h.Year) << DateText(d);
    ASSERT_EQ(c.Month, h.Month + 1) << DateText(d);
    ASSERT_EQ(c.Day, h.Day) << DateText(d);
  }
}

TEST(CalendarIcu, JapaneseErasMatchIcu) {
  const TcxCustomCalendarTable& table = *cxGetCalendar(CAL_JAPAN);
  TIcuCalendar icu("japanese");
  constexpr int32_t kIcuMeiji = 232;
  for (TDateTime d = EncodeDate(1868, 9, 8); d <= EncodeDate(2200, 1, 1); d += 1) {
    const TIcuDate h = icu.Get(d);
    const TcxDateTime c = table.FromDateTime(d);
    ASSERT_EQ(c.Era, h.Era - kIcuMeiji) << DateText(d);
    ASSERT_EQ(c.Year, h.Year) << DateText(d);
    ASSERT_EQ(c.Month, h.Month + 1);
    ASSERT_EQ(c.Day, h.Day);
    ExpectRoundTrip(table, d, c);
  }
}

TEST(CalendarIcu, TaiwanAndThaiYearsMatchIcu) {
  struct TCase {
    CALID Calendar;
    const char* IcuType;
  };
  for (const TCase& k : {TCase{CAL_TAIWAN, "roc"}, TCase{CAL_THAI, "buddhist"}}) {
    const TcxCustomCalendarTable& table = *cxGetCalendar(k.Calendar);
    TIcuCalendar icu(k.IcuType);
    // ICU counts Julian dates before 1582.
    for (TDateTime d = std::max(table.GetMinSupportedDate(), EncodeDate(1583, 1, 1));
         d <= EncodeDate(9999, 12, 31); d += 97) {
      const TIcuDate h = icu.Get(d);
      const TcxDateTime c = table.FromDateTime(d);
      ASSERT_EQ(c.Year, h.Year) << k.IcuType << " " << DateText(d);
      ASSERT_EQ(c.Month, h.Month + 1);
      ASSERT_EQ(c.Day, h.Day);
      ExpectRoundTrip(table, d, c);
    }
  }
}

}  // namespace
}  // namespace qd
