// Calendar tables: the tabular Hijri calendar, the Hebrew calendar with its year table, and
// the week numbering the two share.
#include <algorithm>
#include <cmath>

#include "platform/base/exceptions.h"
#include "platform/base/format.h"
#include "platform/base/strings.h"
#include "ui/core/cxCalendarTables.h"
#include "ui/core/cxCalendarTablesDays.h"
#include "ui/core/cxDateUtils.h"
#include "ui/core/dxCore.h"

namespace qd {

using namespace cxCalendarDays;

QD_IMPLEMENT_CLASS(TcxHijriCalendarTable)
QD_IMPLEMENT_CLASS(TcxHebrewCalendarTable)

namespace {

// fwySystem stands for the thread locale's setting ("0" Jan 1, "1" first full week, "2"
// first four days).
TcxFirstWeekOfYear ResolveFirstWeekOfYear(TcxFirstWeekOfYear AValue) {
  if (AValue != fwySystem) return AValue;
  const String setting = dxGetLocaleInfo(GetThreadLocale(), LOCALE_IFIRSTWEEKOFYEAR, u"0");
  const int32_t n = !setting.empty() && setting[0] >= u'0' && setting[0] <= u'2' ? setting[0] - u'0' : 0;
  return static_cast<TcxFirstWeekOfYear>(n + 1);
}

// The first day of week 1 of a year of a table without eras: the start of the week that
// holds the year's first day, a week later when that week does not count as the year's.
int64_t FirstDayOfWeekOne(const TcxCustomCalendarTable& ATable, int32_t AYear, TcxFirstWeekOfYear ARule) {
  const int64_t first = DayOf(ATable.ToDateTime(AYear, 1, 1));
  int64_t start = first - FloorMod(WeekDayOfDay(first) - ATable.GetFirstWeekDay(), 7);
  if ((ARule == fwyFirstFullWeek && start < first) || (ARule == fwyFirstFourDays && start + 3 < first))
    start += 7;
  return start;
}

// Weeks of the lunar tables, counted from the table's first week day. Days before week 1
// belong to the previous year's last week; the last days of a year belong to week 1 of
// the next year when the week holding them counts as the next year's.
int32_t LunarWeekNumber(const TcxCustomCalendarTable& ATable, const TcxDateTime& ADate,
                        TcxFirstWeekOfYear AFirstWeekOfYear) {
  const TcxFirstWeekOfYear rule = ResolveFirstWeekOfYear(AFirstWeekOfYear);
  const int64_t day = DayOf(ATable.ToDateTime(ADate));
  if (ATable.IsValidYear(ADate.Year + 1) && rule != fwyFirstFullWeek) {
    const int64_t weekStart = day - FloorMod(WeekDayOfDay(day) - ATable.GetFirstWeekDay(), 7);
    const int64_t nextFirst = DayOf(ATable.ToDateTime(ADate.Year + 1, 1, 1));
    if (weekStart + (rule == fwyJan1 ? 6 : 3) >= nextFirst) return 1;
  }
  int64_t start = FirstDayOfWeekOne(ATable, ADate.Year, rule);
  if (day < start) {
    if (!ATable.IsValidYear(ADate.Year - 1)) return 1;
    start = FirstDayOfWeekOne(ATable, ADate.Year - 1, rule);
  }
  return static_cast<int32_t>((day - start) / 7 + 1);
}

// The first month up to ALastMonth whose name in the calendar (as the system writes it for
// the thread locale) is S, ignoring case; 0 when none is.
int32_t LocalMonthNumber(const TcxCustomCalendarTable& ATable, int32_t AYear, int32_t ALastMonth,
                         const String& S) {
  auto* table = const_cast<TcxCustomCalendarTable*>(&ATable);
  for (int32_t month = 1; month <= ALastMonth; ++month) {
    const String name = cxGetLocalMonthName(AYear, month, table);
    if (!name.empty() && SameText(name, S)) return month;
  }
  return 0;
}

// --- Hijri ----------------------------------------------------------------------------------

// Days from 0001-01-01 to the day before 1 Muharram of year 1.
constexpr int64_t kHijriEpoch = 227013;

bool IsHijriLeapYear(int64_t AYear) {
  switch (FloorMod(AYear, 30)) {
    case 2:
    case 5:
    case 7:
    case 10:
    case 13:
    case 15:
    case 18:
    case 21:
    case 24:
    case 26:
    case 29:
      return true;
    default:
      return false;
  }
}

// The days of the years before AYear (from year 1).
int64_t HijriDaysBeforeYear(int64_t AYear) {
  const int64_t c = AYear - 1;
  int64_t days = 354 * c + 11 * FloorDiv(c, 30);
  for (int64_t y = 1; y <= FloorMod(c, 30); ++y)
    if (IsHijriLeapYear(y)) ++days;
  return days;
}

int64_t DayOfFirstJanuaryOne() {
  return DayOf(EncodeDate(1, 1, 1));
}

// --- Hebrew ---------------------------------------------------------------------------------

// Days from the epoch of the Hebrew calendar to 1 Tishri of AYear by the molad of Tishri
// and the rule that Rosh Hashana falls neither on Sunday, Wednesday nor Friday.
int64_t HebrewElapsedDays(int64_t AYear) {
  const int64_t monthsElapsed = FloorDiv(235 * AYear - 234, 19);
  const int64_t partsElapsed = 12084 + 13753 * monthsElapsed;
  int64_t days = 29 * monthsElapsed + FloorDiv(partsElapsed, 25920);
  if (FloorMod(3 * (days + 1), 7) < 3) ++days;
  return days;
}

// The postponements that keep year lengths within 353..355 and 383..385 days.
int64_t HebrewYearLengthCorrection(int64_t AYear) {
  const int64_t ny0 = HebrewElapsedDays(AYear - 1);
  const int64_t ny1 = HebrewElapsedDays(AYear);
  const int64_t ny2 = HebrewElapsedDays(AYear + 1);
  if (ny2 - ny1 == 356) return 2;
  if (ny1 - ny0 == 382) return 1;
  return 0;
}

// The platform's day of 1 Tishri of AYear. The epoch, 1 Tishri of year 1, is the Julian
// date 7 October 3761 BCE.
int64_t HebrewNewYear(int64_t AYear) {
  constexpr int64_t kEpochFromJanuaryOne = -1373428;  // days from 0001-01-01
  return DayOfFirstJanuaryOne() + kEpochFromJanuaryOne + HebrewElapsedDays(AYear) +
         HebrewYearLengthCorrection(AYear);
}

int32_t HebrewYearTypeOfLength(int64_t ALength) {
  switch (ALength) {
    case 353:
      return 1;
    case 354:
      return 2;
    case 355:
      return 3;
    case 383:
      return 4;
    case 384:
      return 5;
    case 385:
      return 6;
    default:
      return 0;
  }
}

// The day of the year (1-based) of a month and day under one year type's month lengths.
int32_t HebrewDayOfYear(int32_t AType, int32_t AMonth, int32_t ADay) {
  int32_t result = ADay;
  for (int32_t m = 1; m < AMonth && m <= 13; ++m) result += cxHebrewLunarMonthLen[AType][m];
  return result;
}

TcxHebrewTable BuildHebrewTable() {
  TcxHebrewTable table{};
  for (int32_t i = 0; i < cxHebrewTableSize; ++i) {
    const int32_t gregorianYear = cxHebrewTableFirstYear + i;
    const int64_t hebrewYear = gregorianYear + 3760;
    const int64_t newYear = HebrewNewYear(hebrewYear);
    const int32_t type = HebrewYearTypeOfLength(HebrewNewYear(hebrewYear + 1) - newYear);
    // 1 January lies in Kislev, Tevet or Shevat.
    int32_t rest = static_cast<int32_t>(GregorianDay(gregorianYear, 1, 1) - newYear) + 1;
    int32_t month = 1;
    while (rest > cxHebrewLunarMonthLen[type][month]) rest -= cxHebrewLunarMonthLen[type][month++];
    int32_t code;
    if (month == 3)
      code = rest == 30 ? 30 : 33;
    else if (month == 5)
      code = rest == 1 ? 0 : 29 + rest;
    else
      code = rest;
    table[i] = {code, type};
  }
  return table;
}

// The Hebrew month and day that a table code stands for.
void GetLunarMonthDay(int32_t ACode, int32_t& AMonth, int32_t& ADay) {
  switch (ACode) {
    case 0:
      AMonth = 5, ADay = 1;
      break;
    case 30:
      AMonth = 3, ADay = 30;
      break;
    case 31:
      AMonth = 5, ADay = 2;
      break;
    case 32:
      AMonth = 5, ADay = 3;
      break;
    case 33:
      AMonth = 3, ADay = 29;
      break;
    default:
      AMonth = 4, ADay = ACode;
  }
}

// The signed number of days from one date to another within one year type.
int32_t GetDayDifference(int32_t AType, int32_t AFromMonth, int32_t AFromDay, int32_t AToMonth,
                         int32_t AToDay) {
  return HebrewDayOfYear(AType, AToMonth, AToDay) - HebrewDayOfYear(AType, AFromMonth, AFromDay);
}

constexpr int32_t kHebrewMinYear = 5343;
constexpr int32_t kHebrewMaxYear = 5999;

const std::array<int32_t, 2>& HebrewTableRow(int32_t AHebrewYear) {
  return cxHebrewTable()[static_cast<size_t>(AHebrewYear - 3760 - cxHebrewTableFirstYear)];
}

}  // namespace

const int32_t cxHebrewLunarMonthLen[7][14] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 30, 29, 29, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {0, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {0, 30, 30, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {0, 30, 29, 29, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
    {0, 30, 29, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
    {0, 30, 30, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
};

const TcxHebrewTable& cxHebrewTable() {
  static const TcxHebrewTable table = BuildHebrewTable();
  return table;
}

// --- TcxHijriCalendarTable ------------------------------------------------------------------

TcxHijriCalendarTable::TcxHijriCalendarTable()
    : FDefaultEra(std::make_unique<TcxEra>(-1, -700000, 0, 1, 9999)) {}

TcxHijriCalendarTable::~TcxHijriCalendarTable() = default;

TcxCalendarAlgorithmType TcxHijriCalendarTable::GetCalendarAlgorithmType() const {
  return catLunarCalendar;
}

CALID TcxHijriCalendarTable::GetCalendarID() const {
  return CAL_HIJRI;
}

TcxEra* TcxHijriCalendarTable::GetDefaultEra() const {
  return FDefaultEra.get();
}

// 9999-12-31, the platform's last day, is 3 Rabi' al-thani 9666.
TDateTime TcxHijriCalendarTable::GetMaxSupportedDate() const {
  return cxCalendarDays::EndOfDay(9999, 12, 31);
}

// 1 Muharram of year 1 (0622-07-18).
TDateTime TcxHijriCalendarTable::GetMinSupportedDate() const {
  return static_cast<double>(DayOfFirstJanuaryOne() + kHijriEpoch);
}

int32_t TcxHijriCalendarTable::GetMaxSupportedYear() const {
  return 9666;
}

int32_t TcxHijriCalendarTable::GetMinSupportedYear() const {
  return 1;
}

TcxDateTime TcxHijriCalendarTable::FromDateTime(TDateTime ADate) const {
  TcxDateTime result;
  cxCalendarDays::DecodeTimeInto(ADate, result);
  int64_t n = DayOf(ADate) - DayOfFirstJanuaryOne() + 1 - kHijriEpoch;
  int64_t year = FloorDiv(30 * n, 10631) + 1;
  n -= HijriDaysBeforeYear(year);
  if (n <= 0) {
    // The estimate overshot by a day: the last day of the previous year.
    --year;
    result.Year = static_cast<int32_t>(year);
    result.Month = 12;
    result.Day = GetDaysInMonth(-1, result.Year, 12) + static_cast<int32_t>(n);
    return result;
  }
  int32_t month = 1;
  while (GetDaysInMonth(-1, static_cast<int32_t>(year), month) < n) {
    n -= GetDaysInMonth(-1, static_cast<int32_t>(year), month);
    if (++month > 12) {
      month = 1;
      ++year;
    }
  }
  result.Year = static_cast<int32_t>(year);
  result.Month = month;
  result.Day = static_cast<int32_t>(n);
  return result;
}

int32_t TcxHijriCalendarTable::GetDaysInMonth(int32_t, int32_t AYear, int32_t AMonth) const {
  if (AMonth < 1 || AMonth > 12) return 0;
  if (AMonth == 12 && IsHijriLeapYear(AYear)) return 30;
  return AMonth % 2 == 1 ? 30 : 29;
}

int32_t TcxHijriCalendarTable::GetDaysInYear(int32_t, int32_t AYear) const {
  return IsHijriLeapYear(AYear) ? 355 : 354;
}

TDay TcxHijriCalendarTable::GetFirstWeekDay() const {
  return dSaturday;
}

int32_t TcxHijriCalendarTable::GetFullWeeksInYear(int32_t) const {
  return 50;
}

int32_t TcxHijriCalendarTable::GetMonthsInYear(int32_t, int32_t) const {
  return 12;
}

int32_t TcxHijriCalendarTable::GetMonthNumber(int32_t AYear, const String& S) const {
  const int32_t month = LocalMonthNumber(*this, AYear, 12, S);
  return month != 0 ? month : TcxCustomCalendarTable::GetMonthNumber(AYear, S);
}

int32_t TcxHijriCalendarTable::GetWeekNumber(const TcxDateTime& ADate, TDay,
                                             TcxFirstWeekOfYear AFirstWeekOfYear) const {
  return LunarWeekNumber(*this, ADate, AFirstWeekOfYear);
}

bool TcxHijriCalendarTable::IsLeapDay(int32_t AEra, int32_t AYear, int32_t AMonth, int32_t ADay) const {
  return IsLeapMonth(AEra, AYear, AMonth) && ADay == 30;
}

bool TcxHijriCalendarTable::IsLeapMonth(int32_t AEra, int32_t AYear, int32_t AMonth) const {
  return AMonth == 12 && IsLeapYear(AEra, AYear);
}

bool TcxHijriCalendarTable::IsLeapYear(int32_t, int32_t AYear) const {
  return IsHijriLeapYear(AYear);
}

TDateTime TcxHijriCalendarTable::ToDateTime(const TcxDateTime& ADateTime) const {
  const int64_t days = HijriDaysBeforeYear(ADateTime.Year) + kHijriEpoch + GetDayOfYear(ADateTime);
  return Compose(DayOfFirstJanuaryOne() + days - 1, cxCalendarDays::EncodeTimeOf(ADateTime));
}

// --- TcxHebrewCalendarTable -----------------------------------------------------------------

TcxHebrewCalendarTable::TcxHebrewCalendarTable()
    : FDefaultEra(std::make_unique<TcxEra>(-1, -700000, 0, 1, 9999)) {}

TcxHebrewCalendarTable::~TcxHebrewCalendarTable() = default;

TcxCalendarAlgorithmType TcxHebrewCalendarTable::GetCalendarAlgorithmType() const {
  return catLunarSolarCalendar;
}

CALID TcxHebrewCalendarTable::GetCalendarID() const {
  return CAL_HEBREW;
}

TcxEra* TcxHebrewCalendarTable::GetDefaultEra() const {
  return FDefaultEra.get();
}

TDateTime TcxHebrewCalendarTable::GetMaxSupportedDate() const {
  return cxCalendarDays::EndOfDay(2239, 9, 29);
}

TDateTime TcxHebrewCalendarTable::GetMinSupportedDate() const {
  return EncodeDate(1583, 1, 1);
}

int32_t TcxHebrewCalendarTable::GetMaxSupportedYear() const {
  return kHebrewMaxYear;
}

int32_t TcxHebrewCalendarTable::GetMinSupportedYear() const {
  return kHebrewMinYear;
}

int32_t TcxHebrewCalendarTable::GetYearType(int32_t AYear) const {
  if (AYear < kHebrewMinYear || AYear > kHebrewMaxYear) return 0;
  const int32_t type = HebrewTableRow(AYear)[1];
  return type > 3 ? type - 3 : type;
}

bool TcxHebrewCalendarTable::IsLeapYear(int32_t, int32_t AYear) const {
  return AYear >= kHebrewMinYear && AYear <= kHebrewMaxYear && HebrewTableRow(AYear)[1] > 3;
}

int32_t TcxHebrewCalendarTable::GetMonthsInYear(int32_t AEra, int32_t AYear) const {
  return IsLeapYear(AEra, AYear) ? 13 : 12;
}

int32_t TcxHebrewCalendarTable::GetDaysInMonth(int32_t AEra, int32_t AYear, int32_t AMonth) const {
  if (!IsValidMonth(AEra, AYear, AMonth)) return 0;
  const int32_t type = GetYearType(AYear);
  return cxHebrewLunarMonthLen[IsLeapYear(AEra, AYear) ? type + 3 : type][AMonth];
}

int32_t TcxHebrewCalendarTable::GetDaysInYear(int32_t AEra, int32_t AYear) const {
  if (!IsValidYear(AEra, AYear)) return 0;
  int32_t result;
  switch (GetYearType(AYear)) {
    case 2:
      result = 354;
      break;
    case 3:
      result = 355;
      break;
    default:
      result = 353;
  }
  return IsLeapYear(AEra, AYear) ? result + 30 : result;
}

TDay TcxHebrewCalendarTable::GetFirstWeekDay() const {
  return dSunday;
}

int32_t TcxHebrewCalendarTable::GetFullWeeksInYear(int32_t AYear) const {
  return GetDaysInYear(AYear) / 7;
}

bool TcxHebrewCalendarTable::IsLeapMonth(int32_t AEra, int32_t AYear, int32_t AMonth) const {
  return AMonth == 7 && IsLeapYear(AEra, AYear);
}

bool TcxHebrewCalendarTable::IsLeapDay(int32_t AEra, int32_t AYear, int32_t AMonth, int32_t ADay) const {
  return IsLeapMonth(AEra, AYear, AMonth) && IsValidDay(AEra, AYear, AMonth, ADay);
}

TDateTime TcxHebrewCalendarTable::ToDateTime(const TcxDateTime& ADateTime) const {
  TDateTime result;
  if (IsNotValid(ADateTime, result)) return result;
  const int32_t gregorianYear = ADateTime.Year - 3760;
  const auto& row = HebrewTableRow(ADateTime.Year);
  int32_t month, day;
  GetLunarMonthDay(row[0], month, day);
  int64_t days = GregorianDay(gregorianYear, 1, 1);
  if (month != ADateTime.Month || day != ADateTime.Day)
    days += GetDayDifference(row[1], month, day, ADateTime.Month, ADateTime.Day);
  return Compose(days, cxCalendarDays::EncodeTimeOf(ADateTime));
}

TcxDateTime TcxHebrewCalendarTable::FromDateTime(TDateTime ADate) const {
  TDateTime date = ADate;
  CheckDateTime(date);
  TcxDateTime result;
  cxCalendarDays::DecodeTimeInto(date, result);
  int y, m, d;
  DecodeDate(date, y, m, d);
  const int64_t target = DayOf(date);
  int32_t year = y + 3760;
  int32_t month = 1;
  // Starts at Tishri of the year that holds 1 January and walks at most a year's months.
  for (int32_t step = 0; step < 28; ++step) {
    const int64_t day = target - DayOf(ToDateTime(year, month, 1)) + 1;
    if (day < 1) {
      if (--month < 1) month = GetMonthsInYear(--year);
    } else if (day > GetDaysInMonth(year, month)) {
      if (++month > GetMonthsInYear(year)) {
        month = 1;
        ++year;
      }
    } else {
      result.Year = year;
      result.Month = month;
      result.Day = static_cast<int32_t>(day);
      return result;
    }
  }
  throw EConvertError(u"Invalid argument to date encode");
}

int32_t TcxHebrewCalendarTable::HebrewNumber(const String& S) {
  int64_t result = 0;
  for (Char ch : S) {
    int32_t c = ch;
    // Hebrew letters: as Unicode characters or at their single-byte code page positions.
    if (c >= 0x05D0 && c <= 0x05EA) c = c - 0x05D0 + 224;
    if (c >= 224 && c <= 233)
      result += c - 223;
    else {
      switch (c) {
        case 234:  // final kaf
        case 235:
          result += 20;
          break;
        case 236:
          result += 30;
          break;
        case 237:
        case 238:
          result += 40;
          break;
        case 239:
        case 240:
          result += 50;
          break;
        case 241:
          result += 60;
          break;
        case 242:
          result += 70;
          break;
        case 243:  // final pe
        case 244:
          result += 80;
          break;
        case 245:  // final tsadi
        case 246:
          result += 90;
          break;
        case 247:
          result += 100;
          break;
        case 248:
          result += 200;
          break;
        case 249:
          result += 300;
          break;
        case 250:
          result += 400;
          break;
        default:
          break;
      }
    }
  }
  // No numeral is that long; the cap keeps pasted text from overflowing.
  return static_cast<int32_t>(std::min<int64_t>(result, 1000000000));
}

int32_t TcxHebrewCalendarTable::GetDayNumber(const String& S) const {
  const int32_t sum = HebrewNumber(S);
  return sum != 0 ? sum : TcxCustomCalendarTable::GetDayNumber(S);
}

int32_t TcxHebrewCalendarTable::GetMonthNumber(int32_t AYear, const String& S) const {
  const int32_t sum = HebrewNumber(S);
  if (sum != 0 && IsValidMonth(AYear, sum)) return sum;
  const int32_t month = LocalMonthNumber(*this, AYear, 13, S);
  return month != 0 ? month : TcxCustomCalendarTable::GetMonthNumber(AYear, S);
}

int32_t TcxHebrewCalendarTable::GetYearNumber(const String& S) const {
  const int32_t sum = HebrewNumber(S);
  return sum != 0 ? sum + 5000 : TcxCustomCalendarTable::GetYearNumber(S);
}

int32_t TcxHebrewCalendarTable::GetWeekNumber(const TcxDateTime& ADate, TDay,
                                              TcxFirstWeekOfYear AFirstWeekOfYear) const {
  return LunarWeekNumber(*this, ADate, AFirstWeekOfYear);
}

}  // namespace qd
