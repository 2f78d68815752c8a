#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/exceptions.h"
#include "platform/base/format.h"
#include "platform/base/strings.h"
#include "platform/os/kernel.h"
#include "platform/os/modules.h"
#include "platform/os/nls.h"
#include "platform/os/nls_calendar.h"
#include "ui/core/cxCalendarTables.h"
#include "ui/core/cxDateUtils.h"

namespace qd {
namespace {

std::string Show(TDateTime ADate) {
  return StringToUtf8(DateToStr(ADate));
}

TcxCustomCalendarTable& Table(CALID AId) {
  return *cxGetCalendar(AId);
}

struct TYmd {
  int32_t Era, Year, Month, Day;
  friend bool operator==(const TYmd&, const TYmd&) = default;
  friend std::ostream& operator<<(std::ostream& o, const TYmd& d) {
    return o << "era " << d.Era << " " << d.Year << "-" << d.Month << "-" << d.Day;
  }
};

TYmd Ymd(const TcxDateTime& D) {
  return {D.Era, D.Year, D.Month, D.Day};
}

TcxDateTime Cx(int32_t AEra, int32_t AYear, int32_t AMonth, int32_t ADay) {
  TcxDateTime d;
  d.Era = AEra;
  d.Year = AYear;
  d.Month = AMonth;
  d.Day = ADay;
  return d;
}

// Sets the thread locale for one test and puts the user default back afterwards.
class TScopedThreadLocale {
 public:
  explicit TScopedThreadLocale(LCID ALocale) { EXPECT_TRUE(SetThreadLocale(ALocale)); }
  ~TScopedThreadLocale() { SetThreadLocale(LOCALE_USER_DEFAULT); }
};

// --- Conversions ---------------------------------------------------------------------------

TEST(CalendarTables, ConvertsKnownDatesBothWays) {
  struct TCase {
    CALID Calendar;
    int32_t Y, M, D;  // Gregorian
    TYmd Expected;
  };
  const TCase cases[] = {
      {CAL_GREGORIAN, 2024, 2, 29, {-1, 2024, 2, 29}},
      {CAL_JAPAN, 1989, 1, 7, {2, 64, 1, 7}},  // the last day of Showa
      {CAL_JAPAN, 1989, 1, 8, {3, 1, 1, 8}},   // Heisei 1
      {CAL_JAPAN, 2019, 4, 30, {3, 31, 4, 30}},
      {CAL_JAPAN, 2019, 5, 1, {4, 1, 5, 1}},  // Reiwa 1
      {CAL_JAPAN, 2024, 5, 1, {4, 6, 5, 1}},
      {CAL_JAPAN, 1868, 9, 8, {0, 1, 9, 8}},
      {CAL_TAIWAN, 2024, 1, 1, {0, 113, 1, 1}},
      {CAL_TAIWAN, 1912, 1, 1, {0, 1, 1, 1}},
      {CAL_KOREA, 2024, 1, 1, {0, 4357, 1, 1}},
      {CAL_THAI, 2024, 1, 1, {0, 2567, 1, 1}},
      {CAL_HIJRI, 2024, 7, 7, {-1, 1446, 1, 1}},
      {CAL_HIJRI, 622, 7, 18, {-1, 1, 1, 1}},
      {CAL_HEBREW, 2023, 9, 16, {-1, 5784, 1, 1}},   // Rosh Hashana
      {CAL_HEBREW, 2024, 3, 24, {-1, 5784, 7, 14}},  // Purim, in Adar II of a leap year
      {CAL_HEBREW, 2024, 10, 3, {-1, 5785, 1, 1}},
      {CAL_HEBREW, 1583, 1, 1, {-1, 5343, 4, 7}},
  };
  for (const TCase& c : cases) {
    const TcxCustomCalendarTable& table = Table(c.Calendar);
    const TDateTime date = EncodeDate(c.Y, c.M, c.D);
    EXPECT_EQ(Ymd(table.FromDateTime(date)), c.Expected)
        << c.Calendar << ": " << c.Y << "-" << c.M << "-" << c.D;
    EXPECT_EQ(table.ToDateTime(Cx(c.Expected.Era, c.Expected.Year, c.Expected.Month, c.Expected.Day)), date)
        << c.Calendar << ": " << c.Y << "-" << c.M << "-" << c.D;
  }
}

// The Korean table counts Dangun years (Gregorian + 2333) on Gregorian months and days;
// ICU's "dangi" calendar is the lunisolar one, so the expectation is plain arithmetic.
TEST(CalendarTables, KoreanYearsAreGregorianYearsPlus2333) {
  const TcxCustomCalendarTable& korea = Table(CAL_KOREA);
  for (TDateTime d = EncodeDate(1, 1, 1); d <= EncodeDate(9999, 12, 31); d += 89) {
    int y, m, day;
    DecodeDate(d, y, m, day);
    const TcxDateTime c = korea.FromDateTime(d);
    ASSERT_EQ(Ymd(c), (TYmd{0, y + 2333, m, day})) << Show(d);
    ASSERT_EQ(korea.ToDateTime(c), d) << Show(d);
  }
}

TEST(CalendarTables, KeepsTheTimeOfDayOnBothSidesOfTheEpoch) {
  // Dates before 1899-12-30 are negative: the day is the integer part toward zero and the
  // time the absolute fraction, so -1.25 is 1899-12-29 06:00.
  struct TCase {
    CALID Calendar;
    int32_t Y, M, D;
  };
  const TCase cases[] = {{CAL_GREGORIAN, 1899, 12, 29}, {CAL_GREGORIAN, 2024, 3, 1},
                         {CAL_HIJRI, 1700, 3, 1},       {CAL_HIJRI, 1899, 12, 29},
                         {CAL_HEBREW, 1700, 3, 1},      {CAL_HEBREW, 1899, 12, 29},
                         {CAL_HEBREW, 2024, 3, 11},     {CAL_JAPAN, 1899, 12, 29}};
  for (const TCase& c : cases) {
    const TcxCustomCalendarTable& table = Table(c.Calendar);
    const TDateTime midnight = EncodeDate(c.Y, c.M, c.D);
    const TcxDateTime day = table.FromDateTime(midnight);
    for (int32_t hour : {0, 6, 12, 18, 23}) {
      const TDateTime time = EncodeTime(hour, 30, 15, 250);
      const TDateTime value = midnight < 0 ? midnight - time : midnight + time;
      const TcxDateTime r = table.FromDateTime(value);
      EXPECT_EQ(Ymd(r), Ymd(day)) << c.Calendar << " " << c.Y << "-" << c.M << "-" << c.D << " " << hour;
      EXPECT_EQ(r.Hours, hour);
      EXPECT_EQ(r.Minutes, 30);
      EXPECT_EQ(r.Seconds, 15);
      EXPECT_EQ(r.Milliseconds, 250);
      EXPECT_DOUBLE_EQ(table.ToDateTime(r), value);
    }
  }
}

TEST(CalendarTables, HebrewDayBeforeAMonthIsTheLastDayOfThePreviousMonth) {
  const TcxCustomCalendarTable& hebrew = Table(CAL_HEBREW);
  // 1 Nisan 5784 is 2024-04-09; the day before is 29 Adar II, the last day of that month.
  const TDateTime firstOfNisan = hebrew.ToDateTime(5784, 8, 1);
  EXPECT_EQ(firstOfNisan, EncodeDate(2024, 4, 9));
  EXPECT_EQ(Ymd(hebrew.FromDateTime(firstOfNisan - 1)), (TYmd{-1, 5784, 7, 29}));
  EXPECT_EQ(Ymd(hebrew.FromDateTime(firstOfNisan - 0.5)), (TYmd{-1, 5784, 7, 29}));
  EXPECT_EQ(Ymd(hebrew.FromDateTime(firstOfNisan + 0.5)), (TYmd{-1, 5784, 8, 1}));
}

// --- Ranges --------------------------------------------------------------------------------

TEST(CalendarTables, SupportedRangesConvertToValidDates) {
  struct TCase {
    CALID Calendar;
    TDateTime MinDate, MaxDate;
    int32_t MinYear, MaxYear;
    TYmd MinYmd, MaxYmd;
  };
  const TDateTime endOfTime = EncodeTime(23, 59, 59, 999);
  const TCase cases[] = {
      {CAL_GREGORIAN,
       EncodeDate(100, 1, 1),
       EncodeDate(9999, 12, 31) + endOfTime,
       100,
       9999,
       {-1, 100, 1, 1},
       {-1, 9999, 12, 31}},
      {CAL_GREGORIAN_ARABIC,
       EncodeDate(100, 1, 1),
       EncodeDate(9999, 12, 31) + endOfTime,
       100,
       9999,
       {-1, 100, 1, 1},
       {-1, 9999, 12, 31}},
      {CAL_JAPAN, EncodeDate(1868, 9, 8), EncodeDate(9999, 12, 31), 1, 7981, {0, 1, 9, 8}, {4, 7981, 12, 31}},
      {CAL_TAIWAN,
       EncodeDate(1912, 1, 1),
       EncodeDate(9999, 12, 31),
       1,
       8088,
       {0, 1, 1, 1},
       {0, 8088, 12, 31}},
      {CAL_KOREA,
       EncodeDate(1, 1, 1),
       EncodeDate(9999, 12, 31),
       2334,
       12332,
       {0, 2334, 1, 1},
       {0, 12332, 12, 31}},
      {CAL_THAI,
       EncodeDate(1, 1, 1),
       EncodeDate(9999, 12, 31),
       544,
       10542,
       {0, 544, 1, 1},
       {0, 10542, 12, 31}},
      {CAL_HIJRI,
       EncodeDate(622, 7, 18),
       EncodeDate(9999, 12, 31) + endOfTime,
       1,
       9666,
       {-1, 1, 1, 1},
       {-1, 9666, 4, 3}},
      {CAL_HEBREW,
       EncodeDate(1583, 1, 1),
       EncodeDate(2239, 9, 29) + endOfTime,
       5343,
       5999,
       {-1, 5343, 4, 7},
       {-1, 5999, 13, 29}},
  };
  for (const TCase& c : cases) {
    const TcxCustomCalendarTable& table = Table(c.Calendar);
    EXPECT_EQ(table.GetMinSupportedDate(), c.MinDate) << c.Calendar;
    EXPECT_EQ(table.GetMaxSupportedDate(), c.MaxDate) << c.Calendar;
    EXPECT_EQ(table.GetMinSupportedYear(), c.MinYear) << c.Calendar;
    EXPECT_EQ(table.GetMaxSupportedYear(), c.MaxYear) << c.Calendar;
    EXPECT_EQ(Ymd(table.FromDateTime(c.MinDate)), c.MinYmd) << c.Calendar;
    EXPECT_EQ(Ymd(table.FromDateTime(c.MaxDate)), c.MaxYmd) << c.Calendar;
    EXPECT_TRUE(table.IsValidDate(c.MinDate)) << c.Calendar;
    EXPECT_TRUE(table.IsValidDate(c.MaxDate)) << c.Calendar;
  }
}

TEST(CalendarTables, ClampsToTheSupportedRange) {
  const TcxCustomCalendarTable& hebrew = Table(CAL_HEBREW);
  EXPECT_EQ(Ymd(hebrew.FromDateTime(EncodeDate(1500, 6, 1))),
            Ymd(hebrew.FromDateTime(EncodeDate(1583, 1, 1))));
  EXPECT_EQ(Ymd(hebrew.FromDateTime(EncodeDate(2500, 6, 1))), (TYmd{-1, 5999, 13, 29}));
  struct TCase {
    CALID Calendar;
    TDateTime In, Out;
  };
  const TcxCustomCalendarTable& japan = Table(CAL_JAPAN);
  const TCase cases[] = {
      {CAL_JAPAN, EncodeDate(1800, 1, 1), japan.GetMinSupportedDate()},
      {CAL_JAPAN, EncodeDate(2000, 1, 1), EncodeDate(2000, 1, 1)},
      {CAL_JAPAN, EncodeDate(9999, 12, 31) + 0.5, japan.GetMaxSupportedDate()},
      {CAL_GREGORIAN, std::numeric_limits<double>::quiet_NaN(), Table(CAL_GREGORIAN).GetMaxSupportedDate()},
      {CAL_GREGORIAN, -700000, EncodeDate(100, 1, 1)},
  };
  for (const TCase& c : cases) {
    TDateTime d = c.In;
    Table(c.Calendar).CheckDateTime(d);
    EXPECT_EQ(d, c.Out) << c.Calendar;
  }
}

// --- Leap rules and lengths -----------------------------------------------------------------

TEST(CalendarTables, LeapRulesAndLengths) {
  struct TCase {
    CALID Calendar;
    int32_t Era, Year;
    bool Leap;
    int32_t DaysInYear, MonthsInYear, LeapMonth;  // LeapMonth 0: none
    int32_t LastMonthDays;
  };
  const TCase cases[] = {
      {CAL_GREGORIAN, -1, 1900, false, 365, 12, 0, 31},
      {CAL_GREGORIAN, -1, 2000, true, 366, 12, 2, 31},
      {CAL_GREGORIAN, -1, 2024, true, 366, 12, 2, 31},
      {CAL_JAPAN, 3, 12, true, 366, 12, 2, 31},    // Heisei 12 = 2000
      {CAL_JAPAN, 2, 75, true, 366, 12, 2, 31},    // Showa 75 counts as 2000
      {CAL_THAI, -1, 2567, true, 366, 12, 2, 31},  // 2024
      {CAL_HIJRI, -1, 1445, true, 355, 12, 12, 30},
      {CAL_HIJRI, -1, 1446, false, 354, 12, 0, 29},
      {CAL_HIJRI, -1, 1455, true, 355, 12, 12, 30},  // year 15 of the cycle
      {CAL_HIJRI, -1, 1456, false, 354, 12, 0, 29},
      {CAL_HEBREW, -1, 5784, true, 383, 13, 7, 29},
      {CAL_HEBREW, -1, 5785, false, 355, 12, 0, 29},
      {CAL_HEBREW, -1, 5786, false, 354, 12, 0, 29},
      {CAL_HEBREW, -1, 6000, false, 0, 12, 0, 0},  // outside the table
  };
  for (const TCase& c : cases) {
    const TcxCustomCalendarTable& table = Table(c.Calendar);
    SCOPED_TRACE(::testing::Message() << c.Calendar << " " << c.Year);
    EXPECT_EQ(table.IsLeapYear(c.Era, c.Year), c.Leap);
    EXPECT_EQ(table.GetDaysInYear(c.Era, c.Year), c.DaysInYear);
    EXPECT_EQ(table.GetMonthsInYear(c.Era, c.Year), c.MonthsInYear);
    EXPECT_EQ(table.GetDaysInMonth(c.Era, c.Year, c.MonthsInYear), c.LastMonthDays);
    int32_t days = 0;
    for (int32_t m = 1; m <= c.MonthsInYear; ++m) {
      days += table.GetDaysInMonth(c.Era, c.Year, m);
      EXPECT_EQ(table.IsLeapMonth(c.Era, c.Year, m), m == c.LeapMonth) << m;
    }
    EXPECT_EQ(days, c.DaysInYear);
  }
  EXPECT_TRUE(Table(CAL_GREGORIAN).IsLeapDay(2024, 2, 29));
  EXPECT_FALSE(Table(CAL_GREGORIAN).IsLeapDay(2024, 2, 28));
  EXPECT_TRUE(Table(CAL_HIJRI).IsLeapDay(1445, 12, 30));
  EXPECT_TRUE(Table(CAL_HEBREW).IsLeapDay(5784, 7, 1));
  EXPECT_FALSE(Table(CAL_HEBREW).IsLeapDay(5784, 7, 30));
}

TEST(CalendarTables, ValidationFollowsTheYearMonthAndDayRanges) {
  const TcxCustomCalendarTable& hebrew = Table(CAL_HEBREW);
  EXPECT_TRUE(hebrew.IsValidDay(5784, 13, 29));
  EXPECT_FALSE(hebrew.IsValidDay(5785, 13, 1));
  EXPECT_FALSE(hebrew.IsValidDay(5784, 1, 31));
  EXPECT_FALSE(hebrew.IsValidDay(5784, 0, 1));
  EXPECT_FALSE(hebrew.IsValidYear(5342));
  const TcxCustomCalendarTable& gregorian = Table(CAL_GREGORIAN);
  EXPECT_FALSE(gregorian.IsValidDay(2023, 2, 29));
  EXPECT_FALSE(gregorian.IsValidYear(99));
  EXPECT_TRUE(gregorian.IsValidYear(9999));
  EXPECT_EQ(gregorian.GetDayOfYear(EncodeDate(2024, 12, 31)), 366);
  EXPECT_EQ(hebrew.GetDayOfYear(Cx(-1, 5784, 13, 29)), 383);
}

// --- Arithmetic ----------------------------------------------------------------------------

TEST(CalendarTables, AddMonthsAndYearsClampTheDayAndCrossEras) {
  struct TCase {
    CALID Calendar;
    TDateTime From;
    bool Years;
    int32_t Count;
    TDateTime Expected;
  };
  const TCase cases[] = {
      {CAL_GREGORIAN, EncodeDate(2024, 1, 31), false, 1, EncodeDate(2024, 2, 29)},
      {CAL_GREGORIAN, EncodeDate(2023, 1, 31), false, 1, EncodeDate(2023, 2, 28)},
      {CAL_GREGORIAN, EncodeDate(2024, 1, 15), false, -1, EncodeDate(2023, 12, 15)},
      {CAL_GREGORIAN, EncodeDate(2024, 3, 31), false, -25, EncodeDate(2022, 2, 28)},
      {CAL_GREGORIAN, EncodeDate(2024, 2, 29), true, 1, EncodeDate(2025, 2, 28)},
      {CAL_GREGORIAN, EncodeDate(2024, 2, 29) + 0.25, true, 4, EncodeDate(2028, 2, 29) + 0.25},
      {CAL_JAPAN, EncodeDate(1989, 1, 7), false, 1, EncodeDate(1989, 2, 7)},   // Showa 64 -> Heisei 1
      {CAL_JAPAN, EncodeDate(2018, 5, 15), true, 1, EncodeDate(2019, 5, 15)},  // Heisei 30 -> Reiwa 1
      {CAL_JAPAN, EncodeDate(1988, 2, 29), true, 1, EncodeDate(1989, 2, 28)},
      {CAL_JAPAN, EncodeDate(1989, 3, 1), false, -3, EncodeDate(1988, 12, 1)},  // Heisei 1 -> Showa 63
      {CAL_THAI, EncodeDate(2024, 12, 31), false, 2, EncodeDate(2025, 2, 28)},
      {CAL_HIJRI, Table(CAL_HIJRI).ToDateTime(1445, 12, 30), true, 1,
       Table(CAL_HIJRI).ToDateTime(1446, 12, 29)},
      {CAL_HIJRI, Table(CAL_HIJRI).ToDateTime(1445, 1, 30), false, 1,
       Table(CAL_HIJRI).ToDateTime(1445, 2, 29)},
      {CAL_HIJRI, Table(CAL_HIJRI).ToDateTime(1445, 12, 1), false, 13,
       Table(CAL_HIJRI).ToDateTime(1447, 1, 1)},
      {CAL_HEBREW, Table(CAL_HEBREW).ToDateTime(5784, 6, 30), false, 1,
       Table(CAL_HEBREW).ToDateTime(5784, 7, 29)},
      {CAL_HEBREW, Table(CAL_HEBREW).ToDateTime(5784, 13, 10), false, 1,
       Table(CAL_HEBREW).ToDateTime(5785, 1, 10)},
      {CAL_HEBREW, Table(CAL_HEBREW).ToDateTime(5785, 1, 10), false, -1,
       Table(CAL_HEBREW).ToDateTime(5784, 13, 10)},
      {CAL_HEBREW, Table(CAL_HEBREW).ToDateTime(5784, 13, 29), true, 1,
       Table(CAL_HEBREW).ToDateTime(5785, 12, 29)},
      {CAL_HEBREW, Table(CAL_HEBREW).ToDateTime(5784, 1, 1), false, 25,
       Table(CAL_HEBREW).ToDateTime(5786, 1, 1)},
  };
  for (const TCase& c : cases) {
    const TcxCustomCalendarTable& table = Table(c.Calendar);
    const TDateTime result = c.Years ? table.AddYears(c.From, c.Count) : table.AddMonths(c.From, c.Count);
    EXPECT_EQ(result, c.Expected) << c.Calendar << " " << Show(c.From) << (c.Years ? " years " : " months ")
                                  << c.Count << " gave " << Show(result);
  }
}

TEST(CalendarTables, ArithmeticOutsideTheRangeStopsAtItsEnds) {
  struct TCase {
    CALID Calendar;
    TDateTime From;
    int32_t Months, Years, Days;
    bool ToMax;
  };
  const TCase cases[] = {
      {CAL_GREGORIAN, EncodeDate(9999, 12, 15), 1, 0, 0, true},
      {CAL_GREGORIAN, EncodeDate(9999, 12, 15), 0, 1, 0, true},
      {CAL_GREGORIAN, EncodeDate(9999, 12, 15), 0, 0, 30, true},
      {CAL_GREGORIAN, EncodeDate(100, 1, 15), -1, 0, 0, false},
      {CAL_GREGORIAN, EncodeDate(100, 1, 15), 0, -1, 0, false},
      {CAL_GREGORIAN, EncodeDate(2000, 1, 1), 2000000000, 0, 0, true},
      {CAL_GREGORIAN, EncodeDate(2000, 1, 1), -2000000000, 0, 0, false},
      {CAL_HEBREW, EncodeDate(2239, 9, 1), 2, 0, 0, true},
      {CAL_HEBREW, EncodeDate(1583, 1, 1), 0, -1, 0, false},
      {CAL_HIJRI, EncodeDate(9999, 12, 1), 0, 1, 0, true},
      {CAL_JAPAN, EncodeDate(1868, 10, 1), -1, 0, 0, false},
  };
  for (const TCase& c : cases) {
    const TcxCustomCalendarTable& table = Table(c.Calendar);
    TDateTime result;
    if (c.Months)
      result = table.AddMonths(c.From, c.Months);
    else if (c.Years)
      result = table.AddYears(c.From, c.Years);
    else
      result = table.AddDays(table.FromDateTime(c.From), c.Days);
    EXPECT_EQ(result, c.ToMax ? table.GetMaxSupportedDate() : table.GetMinSupportedDate())
        << c.Calendar << " " << Show(c.From) << " " << c.Months << "/" << c.Years << "/" << c.Days;
  }
  // An invalid date gives the minimum.
  EXPECT_EQ(Table(CAL_HIJRI).AddMonths(Cx(-1, 1446, 12, 30), 1), Table(CAL_HIJRI).GetMinSupportedDate());
  EXPECT_EQ(Table(CAL_JAPAN).AddYears(Cx(4, 6, 2, 30), 1), Table(CAL_JAPAN).GetMinSupportedDate());
}

TEST(CalendarTables, WeekStartsAndMonthAndYearEnds) {
  const TcxCustomCalendarTable& gregorian = Table(CAL_GREGORIAN);
  const TDateTime wednesday = EncodeDate(2024, 3, 6) + 0.75;
  EXPECT_EQ(gregorian.GetWeekDay(wednesday), dWednesday);
  EXPECT_EQ(gregorian.GetFirstDayOfWeek(wednesday, dMonday), EncodeDate(2024, 3, 4) + 0.75);
  EXPECT_EQ(gregorian.GetFirstDayOfWeek(wednesday, dThursday), EncodeDate(2024, 2, 29) + 0.75);
  EXPECT_EQ(gregorian.GetFirstDayOfWeek(wednesday, dWednesday), wednesday);
  EXPECT_EQ(gregorian.GetFirstDayOfWeek(wednesday), EncodeDate(2024, 3, 3) + 0.75);
  EXPECT_EQ(Table(CAL_GREGORIAN_ARABIC).GetFirstDayOfWeek(wednesday), EncodeDate(2024, 3, 2) + 0.75);
  EXPECT_EQ(Table(CAL_GREGORIAN_ME_FRENCH).GetFirstDayOfWeek(wednesday), EncodeDate(2024, 3, 4) + 0.75);
  // Across the epoch the time of day stays.
  EXPECT_EQ(gregorian.GetFirstDayOfWeek(EncodeDate(1900, 1, 1) + 0.25, dSunday),
            EncodeDate(1899, 12, 31) + 0.25);
  EXPECT_EQ(gregorian.GetFirstDayOfWeek(EncodeDate(1899, 12, 31) + 0.25, dSaturday), 0.25);
  EXPECT_EQ(gregorian.GetFirstDayOfWeek(0.25, dFriday), -1.25);

  const TcxCustomCalendarTable& hebrew = Table(CAL_HEBREW);
  const TDateTime purim = EncodeDate(2024, 3, 24);
  EXPECT_EQ(hebrew.GetFirstDayOfMonth(purim), EncodeDate(2024, 3, 11));
  EXPECT_EQ(hebrew.GetLastDayOfMonth(purim), EncodeDate(2024, 4, 8));
  EXPECT_EQ(hebrew.GetFirstDayOfYear(purim), EncodeDate(2023, 9, 16));
  EXPECT_EQ(hebrew.GetLastDayOfYear(purim), EncodeDate(2024, 10, 2));
  EXPECT_EQ(Ymd(Table(CAL_JAPAN).GetLastDayOfYear(Cx(4, 6, 5, 1))), (TYmd{4, 6, 12, 31}));
  EXPECT_EQ(Table(CAL_HIJRI).AddWeeks(EncodeDate(2024, 1, 1), 3), EncodeDate(2024, 1, 22));
}

// --- Week numbers --------------------------------------------------------------------------

TEST(CalendarTables, GregorianWeekNumbersCountFromTheStartOfWeek) {
  struct TCase {
    CALID Calendar;
    TDay StartOfWeek;
    TDateTime Date;
    TcxFirstWeekOfYear Rule;
    int32_t Week;
  };
  const TCase cases[] = {
      {CAL_GREGORIAN, dMonday, EncodeDate(2021, 1, 1), fwyFirstFourDays, 53},
      {CAL_GREGORIAN, dMonday, EncodeDate(2021, 1, 4), fwyFirstFourDays, 1},
      {CAL_GREGORIAN, dMonday, EncodeDate(2024, 12, 30), fwyFirstFourDays, 1},
      {CAL_GREGORIAN, dSunday, EncodeDate(2024, 12, 29), fwyJan1, 1},
      {CAL_GREGORIAN, dSunday, EncodeDate(2024, 12, 28), fwyJan1, 52},
      {CAL_GREGORIAN, dSunday, EncodeDate(2023, 1, 1), fwyFirstFullWeek, 1},
      {CAL_GREGORIAN, dSunday, EncodeDate(2022, 1, 1), fwyFirstFullWeek, 52},
      {CAL_JAPAN, dMonday, EncodeDate(2021, 1, 1), fwyFirstFourDays, 53},
      {CAL_JAPAN, dMonday, EncodeDate(1989, 1, 9), fwyFirstFourDays, 2},  // across the era change
  };
  for (const TCase& c : cases) {
    dxSetStartOfWeek(c.StartOfWeek);
    for (TDay argument : {dSunday, dThursday})
      EXPECT_EQ(Table(c.Calendar).GetWeekNumber(c.Date, argument, c.Rule), c.Week)
          << c.Calendar << " " << Show(c.Date) << " rule " << int(c.Rule);
  }
  dxResetAssignedStartOfWeek();
}

TEST(CalendarTables, LunarWeekNumbersFollowTheFirstWeekRule) {
  // 5784 began on Saturday 2023-09-16, 5785 on Thursday 2024-10-03; Hebrew weeks start on
  // Sunday. Week 1 of 5785: Jan 1 rule from Sunday 2024-09-29, the other rules from
  // Sunday 2024-10-06; week 1 of 5784 (full week or four days) from Sunday 2023-09-17.
  struct TCase {
    TDateTime Date;
    TcxFirstWeekOfYear Rule;
    int32_t Week;
  };
  const TCase cases[] = {
      {EncodeDate(2024, 10, 1), fwyJan1, 1},  // 28 Elul 5784
      {EncodeDate(2024, 10, 5), fwyJan1, 1},
      {EncodeDate(2024, 10, 6), fwyJan1, 2},
      {EncodeDate(2024, 10, 6), fwyFirstFullWeek, 1},
      {EncodeDate(2024, 10, 5), fwyFirstFullWeek, 55},  // belongs to the last week of 5784
      {EncodeDate(2024, 10, 2), fwyFirstFullWeek, 55},
      {EncodeDate(2024, 10, 5), fwyFirstFourDays, 55},
      {EncodeDate(2024, 10, 2), fwyFirstFourDays, 55},
      {EncodeDate(2024, 10, 6), fwyFirstFourDays, 1},
      {EncodeDate(2023, 9, 16), fwyJan1, 1},
      {EncodeDate(2023, 9, 17), fwyJan1, 2},
      {EncodeDate(2023, 9, 17), fwyFirstFourDays, 1},
      {EncodeDate(2023, 9, 23), fwyFirstFourDays, 1},
      {EncodeDate(2023, 9, 24), fwyFirstFourDays, 2},
  };
  const TcxCustomCalendarTable& hebrew = Table(CAL_HEBREW);
  for (const TCase& c : cases) {
    for (TDay start : {dSunday, dWednesday})
      EXPECT_EQ(hebrew.GetWeekNumber(c.Date, start, c.Rule), c.Week)
          << Show(c.Date) << " rule " << int(c.Rule);
  }
}

TEST(CalendarTables, LunarWeekNumbersOfTheSystemRuleComeFromTheThreadLocale) {
  const TcxCustomCalendarTable& hebrew = Table(CAL_HEBREW);
  const TDateTime date = EncodeDate(2024, 10, 2);
  {
    TScopedThreadLocale locale(0x0409);  // en-US: week of 1 January
    EXPECT_EQ(hebrew.GetWeekNumber(date, dSunday, fwySystem), 1);
  }
  {
    TScopedThreadLocale locale(0x0809);  // en-GB: first four-day week
    EXPECT_EQ(hebrew.GetWeekNumber(date, dSunday, fwySystem), 55);
  }
}

TEST(CalendarTables, HijriWeeksChangeOnSaturdays) {
  const TcxCustomCalendarTable& hijri = Table(CAL_HIJRI);
  for (TcxFirstWeekOfYear rule : {fwyJan1, fwyFirstFullWeek, fwyFirstFourDays}) {
    int32_t previous = hijri.GetWeekNumber(EncodeDate(2023, 12, 31), dSunday, rule);
    for (TDateTime d = EncodeDate(2024, 1, 1); d < EncodeDate(2026, 1, 1); d += 1) {
      const int32_t week = hijri.GetWeekNumber(d, dSunday, rule);
      if (hijri.GetWeekDay(d) != dSaturday)
        ASSERT_EQ(week, previous) << Show(d);
      else
        ASSERT_TRUE(week == previous + 1 || week == 1) << Show(d) << " " << week << " after " << previous;
      previous = week;
    }
  }
}

TEST(CalendarTables, FullWeeksInYear) {
  struct TCase {
    CALID Calendar;
    int32_t Year, Weeks;
  };
  const TCase cases[] = {
      {CAL_GREGORIAN, 2023, 52},            // 1 January a Sunday
      {CAL_GREGORIAN, 2022, 53},            // a Saturday
      {CAL_GREGORIAN, 2021, 52},            // a Friday, not a leap year
      {CAL_GREGORIAN, 2016, 53},            // a Friday in a leap year
      {CAL_GREGORIAN_ME_FRENCH, 2023, 53},  // Sunday is the last day of a Monday week
      {CAL_HIJRI, 1445, 50},
      {CAL_HEBREW, 5784, 54},
      {CAL_HEBREW, 5785, 50},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(Table(c.Calendar).GetFullWeeksInYear(c.Year), c.Weeks) << c.Calendar << " " << c.Year;
}

// --- Text to numbers -----------------------------------------------------------------------

TEST(CalendarTables, YearNumbersOfTwoDigitsFollowTheCalendarsWindow) {
  struct TCase {
    CALID Calendar;
    DWORD Window;  // 0: the default
    const char16_t* Text;
    int32_t Year;
  };
  const TCase cases[] = {
      {CAL_GREGORIAN, 2049, u"25", 2025}, {CAL_GREGORIAN, 2049, u"75", 1975},
      {CAL_GREGORIAN, 2049, u"49", 2049}, {CAL_GREGORIAN, 2049, u"50", 1950},
      {CAL_GREGORIAN, 2029, u"35", 1935}, {CAL_GREGORIAN, 0, u"2024", 2024},
      {CAL_GREGORIAN, 0, u"7", 2007},     {CAL_GREGORIAN, 0, u"123", 123},
      {CAL_JAPAN, 0, u"25", 25},          {CAL_THAI, 0, u"67", 2567},
      {CAL_HIJRI, 0, u"46", 1446},        {CAL_HEBREW, 0, u"84", 5784},
  };
  for (const TCase& c : cases) {
    SetCalendarTwoDigitYearMax(c.Calendar, c.Window);
    EXPECT_EQ(Table(c.Calendar).GetYearNumber(c.Text), c.Year) << c.Calendar;
    SetCalendarTwoDigitYearMax(c.Calendar, 0);
  }
  EXPECT_THROW(Table(CAL_GREGORIAN).GetYearNumber(u"1a"), EConvertError);
}

TEST(CalendarTables, YearNumbersWithoutTheCalendarQueryStayAsTyped) {
  os::ScopedModuleTable saved;
  os::RemoveExport("kernel32.dll", "GetCalendarInfoW");
  EXPECT_EQ(Table(CAL_GREGORIAN).GetYearNumber(u"25"), 25);
}

TEST(CalendarTables, MonthAndDayNumbers) {
  const TFormatSettings saved = FormatSettings();
  FormatSettings() = TFormatSettings::Create("pt-BR");
  struct TCase {
    CALID Calendar;
    int32_t Year;
    const char16_t* Text;
    int32_t Month;
  };
  const TCase cases[] = {
      {CAL_GREGORIAN, 2024, u"março", 3},      {CAL_GREGORIAN, 2024, u"MARÇO", 3},
      {CAL_GREGORIAN, 2024, u"dez", 12},       {CAL_GREGORIAN, 2024, u"07", 7},
      {CAL_HEBREW, 5784, u"\u05D6", 7},  // zayin in a leap year
      {CAL_HEBREW, 5784, u"\u05D9\u05D2", 13}, {CAL_HEBREW, 5785, u"5", 5},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(Table(c.Calendar).GetMonthNumber(c.Year, c.Text), c.Month) << c.Calendar;
  EXPECT_THROW(Table(CAL_HEBREW).GetMonthNumber(5785, u"\u05D9\u05D2"), EConvertError);  // no 13th month
  EXPECT_THROW(Table(CAL_GREGORIAN).GetMonthNumber(2024, u"march"), EConvertError);
  FormatSettings() = saved;
  EXPECT_EQ(Table(CAL_GREGORIAN).GetDayNumber(u"31"), 31);
  EXPECT_THROW(Table(CAL_GREGORIAN).GetDayNumber(u""), EConvertError);
}

TEST(CalendarTables, HebrewNumerals) {
  struct TCase {
    const char16_t* Text;
    int32_t Value;
  };
  const TCase cases[] = {
      {u"\u05EA\u05E9\u05E4\u05D3", 784},  // tav shin pe dalet
      {u"\u00FA\u00F9\u00F4\u00E3", 784},  // the same letters at their code page positions
      {u"\u05D8\u05D5", 15},               // tet vav
      {u"\u05D9\u05D4", 15},
      {u"\u05DA\u05DD\u05DF\u05E3\u05E5", 20 + 40 + 50 + 80 + 90},  // final forms
      {u"\u05DB\u05DE\u05E0\u05E4\u05E6", 20 + 40 + 50 + 80 + 90},
      {u"\u05EA\u05E9\u05E4\"\u05D3", 784},  // with the gershayim mark typed as a quote
      {u"12", 0},
      {u"", 0},
  };
  for (const TCase& c : cases) EXPECT_EQ(TcxHebrewCalendarTable::HebrewNumber(c.Text), c.Value);
  const TcxCustomCalendarTable& hebrew = Table(CAL_HEBREW);
  EXPECT_EQ(hebrew.GetYearNumber(u"\u05EA\u05E9\u05E4\u05D3"), 5784);
  EXPECT_EQ(hebrew.GetDayNumber(u"\u05D8\u05D5"), 15);
  EXPECT_EQ(hebrew.GetDayNumber(u"15"), 15);
  // Text far longer than any numeral does not overflow the sum.
  EXPECT_EQ(hebrew.GetYearNumber(String(6000000, u'\u05EA')), 1000005000);
}

// --- The shared tables ---------------------------------------------------------------------

TEST(CalendarTables, OneSharedTablePerCalendar) {
  struct TCase {
    CALID Calendar;
    TClass Class;
    bool Gregorian;
    TDay FirstWeekDay;
    TcxCalendarAlgorithmType Algorithm;
  };
  const TCase cases[] = {
      {1, TcxGregorianCalendarTable::StaticClass(), true, dSunday, catSolarCalendar},
      {2, TcxGregorianUSEnglishCalendarTable::StaticClass(), true, dSunday, catSolarCalendar},
      {3, TcxJapaneseCalendarTable::StaticClass(), false, dSunday, catSolarCalendar},
      {4, TcxTaiwanCalendarTable::StaticClass(), false, dSunday, catSolarCalendar},
      {5, TcxKoreanCalendarTable::StaticClass(), false, dSunday, catSolarCalendar},
      {6, TcxHijriCalendarTable::StaticClass(), false, dSaturday, catLunarCalendar},
      {7, TcxThaiCalendarTable::StaticClass(), false, dSunday, catSolarCalendar},
      {8, TcxHebrewCalendarTable::StaticClass(), false, dSunday, catLunarSolarCalendar},
      {9, TcxGregorianMiddleEastFrenchCalendarTable::StaticClass(), true, dMonday, catSolarCalendar},
      {10, TcxGregorianArabicCalendarTable::StaticClass(), true, dSaturday, catSolarCalendar},
      {11, TcxGregorianTransliteratedEnglishCalendarTable::StaticClass(), true, dMonday, catSolarCalendar},
      {12, TcxGregorianTransliteratedFrenchCalendarTable::StaticClass(), true, dMonday, catSolarCalendar},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(cxGetCalendarClass(c.Calendar), c.Class) << c.Calendar;
    TcxCustomCalendarTable* table = cxGetCalendar(c.Calendar);
    EXPECT_EQ(table->ClassType(), c.Class) << c.Calendar;
    EXPECT_EQ(table->GetCalendarID(), c.Calendar);
    EXPECT_EQ(cxGetCalendar(c.Calendar), table);
    EXPECT_EQ(cxIsGregorianCalendar(table), c.Gregorian) << c.Calendar;
    EXPECT_EQ(table->GetFirstWeekDay(), c.FirstWeekDay) << c.Calendar;
    EXPECT_EQ(table->GetCalendarAlgorithmType(), c.Algorithm) << c.Calendar;
  }
  EXPECT_EQ(cxGetCalendarClass(99), TcxGregorianCalendarTable::StaticClass());
  EXPECT_EQ(cxGetCalendarClass(CAL_UMALQURA), TcxGregorianCalendarTable::StaticClass());
  EXPECT_EQ(cxGetCalendar(99), cxGetCalendar(CAL_GREGORIAN));
}

TEST(CalendarTables, TheLocalCalendarIsTheThreadLocales) {
  TScopedThreadLocale locale(0x0416);  // pt-BR
  EXPECT_EQ(cxGetCalendarID(0x0416), CAL_GREGORIAN);
  EXPECT_EQ(cxGetLocalCalendarID(), CAL_GREGORIAN);
  EXPECT_EQ(cxGetLocalCalendar(), cxGetCalendar(CAL_GREGORIAN));
  EXPECT_TRUE(cxIsGregorianCalendar(nullptr));
  EXPECT_EQ(cxGetCalendarID(0x7C7C), 0u);  // no such locale
}

TEST(CalendarTables, TheLocalCalendarFollowsTheLocalesCalendarType) {
  {
    TScopedThreadLocale locale(0x0401);  // ar-SA: Hijri
    EXPECT_EQ(cxGetLocalCalendar(), cxGetCalendar(CAL_HIJRI));
    EXPECT_FALSE(cxIsGregorianCalendar(nullptr));
  }
  {
    // The user's choice of the Japanese era calendar in the regional settings.
    TScopedThreadLocale locale(0x0411);
    ASSERT_TRUE(SetLocaleInfoW(0x0411, LOCALE_ICALENDARTYPE, u"3"));
    EXPECT_EQ(cxGetLocalCalendarID(), CAL_JAPAN);
    EXPECT_EQ(cxGetLocalCalendar()->ClassType(), TcxJapaneseCalendarTable::StaticClass());
    EXPECT_FALSE(cxIsGregorianCalendar(nullptr));
    ResetLocaleInfoForTesting();
    EXPECT_TRUE(cxIsGregorianCalendar(nullptr));
  }
}

TEST(CalendarTables, HijriMonthNamesOfTheLocaleAreMonthNumbers) {
  TScopedThreadLocale locale(0x0401);  // ar-SA, whose dates are Hijri
  const TcxCustomCalendarTable& hijri = Table(CAL_HIJRI);
  for (int32_t month = 1; month <= 12; ++month) {
    const String name = cxGetLocalMonthName(1446, month, cxGetCalendar(CAL_HIJRI));
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(hijri.GetMonthNumber(1446, name), month) << StringToUtf8(name);
  }
  EXPECT_EQ(hijri.GetMonthNumber(1446, u"9"), 9);
}

TEST(CalendarTables, FreeingTheListFreesEveryTable) {
  cxGetCalendar(CAL_HEBREW);
  cxFreeCalendarList();
  TcxCustomCalendarTable* hebrew = cxGetCalendar(CAL_HEBREW);
  EXPECT_EQ(hebrew->GetCalendarID(), CAL_HEBREW);
  // A table freed by its creator leaves the list.
  auto* own = new TcxThaiCalendarTable;
  delete own;
  EXPECT_EQ(cxGetCalendar(CAL_THAI)->GetCalendarID(), CAL_THAI);
}

TEST(CalendarTables, ErasAreCopiedIntoTheListsOwnObjects) {
  TcxEras eras;
  eras.Add(new TcxEra(1, 10, 5, 1, 20));
  TcxEra replacement(7, 100, 50, 2, 30);
  TcxEra* kept = eras[0];
  eras.SetItems(0, &replacement);
  EXPECT_EQ(eras[0], kept);
  EXPECT_EQ(kept->Era(), 7);
  EXPECT_EQ(kept->StartDate(), 100);
  EXPECT_EQ(kept->YearOffset(), 50);
  EXPECT_EQ(kept->MinEraYear(), 2);
  EXPECT_EQ(kept->MaxEraYear(), 30);
}

TEST(CalendarTables, AdjustYearRebasesToTheEraOfTheDate) {
  const TcxCustomCalendarTable& japan = Table(CAL_JAPAN);
  struct TCase {
    int32_t Year, Era, Month, Day;
    int32_t ExpectedYear, ExpectedEra;
  };
  const TCase cases[] = {
      {65, 2, 1, 1, 2, 3},                                               // Showa 65 is Heisei 2
      {64, 2, 1, 7, 64, 2},   {64, 2, 1, 8, 1, 3}, {31, 3, 5, 1, 1, 4},  // Heisei 31-05-01 is Reiwa 1
      {6, -1, 5, 1, 6, 4},                                               // the default era is Reiwa
      {2024, 99, 1, 1, 6, 4},  // an unknown era leaves the year Gregorian
  };
  for (const TCase& c : cases) {
    int32_t year = c.Year, era = c.Era;
    japan.AdjustYear(year, era, c.Month, c.Day);
    EXPECT_EQ(year, c.ExpectedYear) << c.Year << "/" << c.Era;
    EXPECT_EQ(era, c.ExpectedEra) << c.Year << "/" << c.Era;
  }
  EXPECT_EQ(japan.GetEra(1989), 2);
  EXPECT_EQ(japan.GetEra(1989, 1, 8), 3);
  EXPECT_EQ(japan.GetEra(1800, 1, 1), -1);
  EXPECT_EQ(Table(CAL_GREGORIAN).GetEra(2024), -1);
  EXPECT_EQ(japan.Eras()->Items(4)->Era(), 5);
}

}  // namespace
}  // namespace qd
