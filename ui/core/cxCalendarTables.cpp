// Calendar tables: the base table, the shared registry, the Gregorian family and the era
// calendars (Japanese, Taiwan, Korean, Thai).
#include "ui/core/cxCalendarTables.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <tuple>
#include <vector>

#include "platform/base/exceptions.h"
#include "platform/base/format.h"
#include "platform/base/strings.h"
#include "platform/os/kernel.h"
#include "ui/core/cxCalendarTablesDays.h"
#include "ui/core/cxDateUtils.h"

namespace qd {

using namespace cxCalendarDays;

QD_IMPLEMENT_CLASS(TcxEra)
QD_IMPLEMENT_CLASS(TcxEras)
QD_IMPLEMENT_CLASS(TcxCustomCalendarTable)
QD_IMPLEMENT_CLASS(TcxGregorianCalendarTable)
QD_IMPLEMENT_CLASS(TcxGregorianUSEnglishCalendarTable)
QD_IMPLEMENT_CLASS(TcxGregorianMiddleEastFrenchCalendarTable)
QD_IMPLEMENT_CLASS(TcxGregorianArabicCalendarTable)
QD_IMPLEMENT_CLASS(TcxGregorianTransliteratedEnglishCalendarTable)
QD_IMPLEMENT_CLASS(TcxGregorianTransliteratedFrenchCalendarTable)
QD_IMPLEMENT_CLASS(TcxJapaneseCalendarTable)
QD_IMPLEMENT_CLASS(TcxTaiwanCalendarTable)
QD_IMPLEMENT_CLASS(TcxKoreanCalendarTable)
QD_IMPLEMENT_CLASS(TcxThaiCalendarTable)

namespace {

// The list of created tables. Tables add and remove themselves; freeing the list frees
// every table in it.
struct TCalendarList {
  std::vector<TcxCustomCalendarTable*> Tables;
};

TCalendarList*& CalendarList() {
  static TCalendarList* list = nullptr;
  return list;
}

std::recursive_mutex& CalendarListLock() {
  static std::recursive_mutex lock;
  return lock;
}

TCalendarList& EnsureCalendarList() {
  std::lock_guard guard(CalendarListLock());
  if (!CalendarList()) CalendarList() = new TCalendarList;
  return *CalendarList();
}

TcxDateTime MakeDateTime(int32_t AEra, int32_t AYear, int32_t AMonth, int32_t ADay,
                         const TcxDateTime& ATime) {
  TcxDateTime r = ATime;
  r.Era = AEra;
  r.Year = AYear;
  r.Month = AMonth;
  r.Day = ADay;
  return r;
}

// Guards the month and year loops of the arithmetic against absurd counts: far outside
// any supported range the result is out of range anyway.
constexpr int32_t kYearLimit = 100000;

}  // namespace

// --- TcxEra ---------------------------------------------------------------------------------

TcxEra::TcxEra(int32_t AEra, TDateTime AStartDate, int32_t AYearOffset, int32_t AMinEraYear,
               int32_t AMaxEraYear)
    : FEra(AEra),
      FMaxEraYear(AMaxEraYear),
      FMinEraYear(AMinEraYear),
      FStartDate(AStartDate),
      FYearOffset(AYearOffset) {}

void TcxEra::Assign(TPersistent* Source) {
  if (auto* era = dynamic_cast<TcxEra*>(Source)) {
    FEra = era->FEra;
    FMaxEraYear = era->FMaxEraYear;
    FMinEraYear = era->FMinEraYear;
    FStartDate = era->FStartDate;
    FYearOffset = era->FYearOffset;
  } else {
    TPersistent::Assign(Source);
  }
}

void TcxEras::SetItems(int32_t AIndex, TcxEra* AEra) {
  Items(AIndex)->Assign(AEra);
}

// --- TcxCustomCalendarTable -----------------------------------------------------------------

TcxCustomCalendarTable::TcxCustomCalendarTable() : FEras(std::make_unique<TcxEras>()) {
  TCalendarList& list = EnsureCalendarList();
  std::lock_guard guard(CalendarListLock());
  list.Tables.push_back(this);
}

TcxCustomCalendarTable::~TcxCustomCalendarTable() {
  {
    std::lock_guard guard(CalendarListLock());
    if (TCalendarList* list = CalendarList()) std::erase(list->Tables, this);
  }
  FEras->Clear();
}

TcxEra* TcxCustomCalendarTable::EraOf(int32_t AEra) const {
  if (AEra >= 0 && AEra < FEras->Count()) return FEras->Items(AEra);
  return GetDefaultEra();
}

void TcxCustomCalendarTable::YearToGregorianYear(int32_t& AYear, int32_t AEra) const {
  if (AEra == -1)
    AYear += GetDefaultEra()->FYearOffset;
  else if (AEra >= 0 && AEra < FEras->Count())
    AYear += FEras->Items(AEra)->FYearOffset;
}

void TcxCustomCalendarTable::AdjustYear(int32_t& AYear, int32_t& AEra) const {
  AdjustYear(AYear, AEra, 1, 1);
}

void TcxCustomCalendarTable::AdjustYear(int32_t& AYear, int32_t& AEra, int32_t AMonth, int32_t ADay) const {
  int32_t year = AYear;
  YearToGregorianYear(year, AEra);
  AEra = GetEra(year, AMonth, ADay);
  // A date before the first era is counted in the default era, as FromDateTime does.
  AYear = year - EraOf(AEra)->FYearOffset;
}

void TcxCustomCalendarTable::CheckDateTime(TDateTime& ADate) const {
  if (std::isnan(ADate) || ADate > GetMaxSupportedDate())
    ADate = GetMaxSupportedDate();
  else if (ADate < GetMinSupportedDate())
    ADate = GetMinSupportedDate();
}

bool TcxCustomCalendarTable::IsNotValid(const TcxDateTime& ADate, TDateTime& AResult) const {
  const bool result = !IsValidDay(ADate.Era, ADate.Year, ADate.Month, ADate.Day);
  if (result) AResult = GetMinSupportedDate();
  return result;
}

TDateTime TcxCustomCalendarTable::AddDays(const TcxDateTime& ADate, int32_t ACountDays) const {
  TDateTime result = IncDays(ToDateTime(ADate), ACountDays);
  CheckDateTime(result);
  return result;
}

TDateTime TcxCustomCalendarTable::AddWeeks(TDateTime ADate, int32_t ACountWeeks) const {
  return AddWeeks(FromDateTime(ADate), ACountWeeks);
}

TDateTime TcxCustomCalendarTable::AddWeeks(const TcxDateTime& ADate, int32_t ACountWeeks) const {
  TDateTime result = AddDays(
      ADate, static_cast<int32_t>(std::clamp<int64_t>(int64_t{ACountWeeks} * 7, INT32_MIN, INT32_MAX)));
  CheckDateTime(result);
  return result;
}

TDateTime TcxCustomCalendarTable::AddMonths(TDateTime ADate, int32_t ACountMonths) const {
  return AddMonths(FromDateTime(ADate), ACountMonths);
}

TDateTime TcxCustomCalendarTable::AddMonths(const TcxDateTime& ADate, int32_t ACountMonths) const {
  TDateTime result;
  if (IsNotValid(ADate, result)) return result;
  int32_t era = ADate.Era;
  int32_t year = ADate.Year;
  int64_t month = int64_t{ADate.Month} + ACountMonths;
  const bool forward = month > GetMonthsInYear(era, year);
  while (month > GetMonthsInYear(era, year) || month <= 0) {
    if (year < -kYearLimit || year > kYearLimit) break;
    if (forward) {
      month -= GetMonthsInYear(era, year);
      ++year;
    } else {
      --year;
      month += GetMonthsInYear(era, year);
    }
  }
  const int32_t m = static_cast<int32_t>(std::clamp<int64_t>(month, 0, 13));
  const int32_t day = std::min(ADate.Day, GetDaysInMonth(era, year, m));
  AdjustYear(year, era, m, day);
  if (!IsValidDay(era, year, m, day))
    return year > GetMaxSupportedYear() ? GetMaxSupportedDate() : GetMinSupportedDate();
  result = ToDateTime(MakeDateTime(era, year, m, day, ADate));
  CheckDateTime(result);
  return result;
}

TDateTime TcxCustomCalendarTable::AddYears(TDateTime ADate, int32_t ACountYears) const {
  return AddYears(FromDateTime(ADate), ACountYears);
}

TDateTime TcxCustomCalendarTable::AddYears(const TcxDateTime& ADate, int32_t ACountYears) const {
  TDateTime result;
  if (IsNotValid(ADate, result)) return result;
  int32_t era = ADate.Era;
  int32_t year =
      static_cast<int32_t>(std::clamp<int64_t>(int64_t{ADate.Year} + ACountYears, -kYearLimit, kYearLimit));
  AdjustYear(year, era);
  if (!IsValidYear(era, year))
    return year < GetMinSupportedYear() ? GetMinSupportedDate() : GetMaxSupportedDate();
  int32_t month = ADate.Month;
  if (!IsValidMonth(era, year, month)) month = GetMonthsInYear(era, year);
  int32_t day = ADate.Day;
  if (!IsValidDay(era, year, month, day)) day = GetDaysInMonth(era, year, month);
  AdjustYear(year, era, month, day);
  result = ToDateTime(MakeDateTime(era, year, month, day, ADate));
  CheckDateTime(result);
  return result;
}

TcxDateTime TcxCustomCalendarTable::FromDateTime(int32_t AYear, int32_t AMonth, int32_t ADay) const {
  return FromDateTime(EncodeDate(AYear, AMonth, ADay));
}

TcxDateTime TcxCustomCalendarTable::FromDateTime(int32_t AYear, int32_t AMonth, int32_t ADay, int32_t AHours,
                                                 int32_t AMinutes, int32_t ASeconds,
                                                 int32_t AMilliseconds) const {
  const TDateTime date = EncodeDate(AYear, AMonth, ADay);
  const TDateTime time = EncodeTime(AHours, AMinutes, ASeconds, AMilliseconds);
  return FromDateTime(Compose(DayOf(date), time));
}

int32_t TcxCustomCalendarTable::GetDayOfYear(TDateTime ADate) const {
  return GetDayOfYear(FromDateTime(ADate));
}

int32_t TcxCustomCalendarTable::GetDayOfYear(const TcxDateTime& ADate) const {
  int32_t result = ADate.Day;
  for (int32_t m = 1; m < ADate.Month; ++m) result += GetDaysInMonth(ADate.Era, ADate.Year, m);
  return result;
}

int32_t TcxCustomCalendarTable::GetDaysInMonth(int32_t AYear, int32_t AMonth) const {
  return GetDaysInMonth(-1, AYear, AMonth);
}

int32_t TcxCustomCalendarTable::GetDaysInYear(int32_t AYear) const {
  return GetDaysInYear(-1, AYear);
}

int32_t TcxCustomCalendarTable::GetEra(int32_t AYear) const {
  return GetEra(AYear, 1, 1);
}

int32_t TcxCustomCalendarTable::GetEra(int32_t AYear, int32_t AMonth, int32_t ADay) const {
  int32_t result = -1;
  const auto date = std::make_tuple(AYear, AMonth, ADay);
  for (int32_t i = 0; i < FEras->Count(); ++i) {
    int y, m, d;
    DecodeDate(FEras->Items(i)->FStartDate, y, m, d);
    if (std::make_tuple(y, m, d) <= date) result = i;
  }
  return result;
}

TDateTime TcxCustomCalendarTable::GetFirstDayOfWeek(TDateTime ADate) const {
  return ToDateTime(GetFirstDayOfWeek(FromDateTime(ADate)));
}

TDateTime TcxCustomCalendarTable::GetFirstDayOfWeek(TDateTime ADate, TDay AStartDayOfWeek) const {
  const int32_t weekDay = GetWeekDay(ADate);
  int32_t delta = AStartDayOfWeek - weekDay;
  if (weekDay < AStartDayOfWeek) delta -= 7;
  return IncDays(ADate, delta);
}

TcxDateTime TcxCustomCalendarTable::GetFirstDayOfWeek(const TcxDateTime& ADate) const {
  const int32_t weekDay = GetWeekDay(ADate);
  const int32_t start = GetFirstWeekDay();
  int32_t delta = start - weekDay;
  if (weekDay < start) delta -= 7;
  return FromDateTime(AddDays(ADate, delta));
}

TcxDateTime TcxCustomCalendarTable::GetFirstDayOfWeek(const TcxDateTime& ADate, TDay AStartDayOfWeek) const {
  return FromDateTime(GetFirstDayOfWeek(ToDateTime(ADate), AStartDayOfWeek));
}

TDateTime TcxCustomCalendarTable::GetFirstDayOfMonth(TDateTime ADate) const {
  return ToDateTime(GetFirstDayOfMonth(FromDateTime(ADate)));
}

TcxDateTime TcxCustomCalendarTable::GetFirstDayOfMonth(const TcxDateTime& ADate) const {
  TcxDateTime result = ADate;
  result.Day = 1;
  return result;
}

TDateTime TcxCustomCalendarTable::GetFirstDayOfYear(TDateTime ADate) const {
  return ToDateTime(GetFirstDayOfYear(FromDateTime(ADate)));
}

TcxDateTime TcxCustomCalendarTable::GetFirstDayOfYear(const TcxDateTime& ADate) const {
  TcxDateTime result = ADate;
  result.Month = 1;
  result.Day = 1;
  return result;
}

TDateTime TcxCustomCalendarTable::GetLastDayOfMonth(TDateTime ADate) const {
  return ToDateTime(GetLastDayOfMonth(FromDateTime(ADate)));
}

TcxDateTime TcxCustomCalendarTable::GetLastDayOfMonth(const TcxDateTime& ADate) const {
  TcxDateTime result = ADate;
  result.Day = GetDaysInMonth(ADate.Era, ADate.Year, ADate.Month);
  return result;
}

TDateTime TcxCustomCalendarTable::GetLastDayOfYear(TDateTime ADate) const {
  return ToDateTime(GetLastDayOfYear(FromDateTime(ADate)));
}

TcxDateTime TcxCustomCalendarTable::GetLastDayOfYear(const TcxDateTime& ADate) const {
  TcxDateTime result = ADate;
  result.Month = GetMonthsInYear(ADate.Era, ADate.Year);
  result.Day = GetDaysInMonth(ADate.Era, ADate.Year, result.Month);
  return result;
}

int32_t TcxCustomCalendarTable::GetMonthsInYear(int32_t AYear) const {
  return GetMonthsInYear(-1, AYear);
}

int32_t TcxCustomCalendarTable::GetYear(TDateTime ADate) const {
  return FromDateTime(ADate).Year;
}

int32_t TcxCustomCalendarTable::GetYear(const TcxDate& ADate) const {
  return ADate.Year;
}

int32_t TcxCustomCalendarTable::GetYear(const TcxDateTime& ADate) const {
  return ADate.Year;
}

TDay TcxCustomCalendarTable::GetWeekDay(TDateTime ADate) const {
  return static_cast<TDay>(DayOfWeek(ADate) - 1);
}

TDay TcxCustomCalendarTable::GetWeekDay(const TcxDateTime& ADate) const {
  return GetWeekDay(ToDateTime(ADate));
}

int32_t TcxCustomCalendarTable::GetWeekNumber(TDateTime ADate, TDay AStartOfWeek,
                                              TcxFirstWeekOfYear AFirstWeekOfYear) const {
  return GetWeekNumber(FromDateTime(ADate), AStartOfWeek, AFirstWeekOfYear);
}

bool TcxCustomCalendarTable::IsLeapDay(int32_t AYear, int32_t AMonth, int32_t ADay) const {
  return IsLeapDay(-1, AYear, AMonth, ADay);
}

bool TcxCustomCalendarTable::IsLeapMonth(int32_t AYear, int32_t AMonth) const {
  return IsLeapMonth(-1, AYear, AMonth);
}

bool TcxCustomCalendarTable::IsLeapYear(int32_t AYear) const {
  return IsLeapYear(-1, AYear);
}

bool TcxCustomCalendarTable::IsValidYear(int32_t AYear) const {
  return IsValidYear(-1, AYear);
}

bool TcxCustomCalendarTable::IsValidYear(int32_t, int32_t AYear) const {
  return AYear >= GetMinSupportedYear() && AYear <= GetMaxSupportedYear();
}

bool TcxCustomCalendarTable::IsValidMonth(int32_t AYear, int32_t AMonth) const {
  return IsValidMonth(-1, AYear, AMonth);
}

bool TcxCustomCalendarTable::IsValidMonth(int32_t AEra, int32_t AYear, int32_t AMonth) const {
  return IsValidYear(AEra, AYear) && AMonth > 0 && AMonth <= GetMonthsInYear(AEra, AYear);
}

bool TcxCustomCalendarTable::IsValidDay(int32_t AYear, int32_t AMonth, int32_t ADay) const {
  return IsValidDay(-1, AYear, AMonth, ADay);
}

bool TcxCustomCalendarTable::IsValidDay(int32_t AEra, int32_t AYear, int32_t AMonth, int32_t ADay) const {
  return IsValidMonth(AEra, AYear, AMonth) && ADay > 0 && ADay <= GetDaysInMonth(AEra, AYear, AMonth);
}

bool TcxCustomCalendarTable::IsValidDate(TDateTime ADate) const {
  const TcxDateTime date = FromDateTime(ADate);
  return IsValidDay(date.Era, date.Year, date.Month, date.Day);
}

TDateTime TcxCustomCalendarTable::ToDateTime(const TcxDate& ADate) const {
  TcxDateTime date;
  date.Era = ADate.Era;
  date.Year = ADate.Year;
  date.Month = ADate.Month;
  date.Day = ADate.Day;
  return ToDateTime(date);
}

TDateTime TcxCustomCalendarTable::ToDateTime(int32_t AYear, int32_t AMonth, int32_t ADay) const {
  return ToDateTime(TcxDate{-1, AYear, AMonth, ADay});
}

TDateTime TcxCustomCalendarTable::ToDateTime(int32_t AYear, int32_t AMonth, int32_t ADay, int32_t AHours,
                                             int32_t AMinutes, int32_t ASeconds,
                                             int32_t AMilliseconds) const {
  TcxDateTime date;
  date.Year = AYear;
  date.Month = AMonth;
  date.Day = ADay;
  date.Hours = static_cast<uint8_t>(AHours);
  date.Minutes = static_cast<uint8_t>(AMinutes);
  date.Seconds = static_cast<uint8_t>(ASeconds);
  date.Milliseconds = static_cast<uint16_t>(AMilliseconds);
  // Out-of-range times are refused rather than wrapped into the small fields.
  if (AHours < 0 || AHours > 23 || AMinutes < 0 || AMinutes > 59 || ASeconds < 0 || ASeconds > 59 ||
      AMilliseconds < 0 || AMilliseconds > 999)
    EncodeTime(AHours, AMinutes, ASeconds, AMilliseconds);
  return ToDateTime(date);
}

int32_t TcxCustomCalendarTable::GetDayNumber(const String& S) const {
  return StrToInt(S);
}

int32_t TcxCustomCalendarTable::GetMonthNumber(int32_t, const String& S) const {
  const TFormatSettings& settings = FormatSettings();
  for (int32_t i = 0; i < 12; ++i)
    if (SameText(settings.LongMonthNames[i], S) || SameText(settings.ShortMonthNames[i], S)) return i + 1;
  return StrToInt(S);
}

int32_t TcxCustomCalendarTable::GetYearNumber(const String& S) const {
  int32_t result = StrToInt(S);
  if (S.size() <= 2) {
    DWORD maxYear = 0;
    if (cxGetCalendarInfo(GetThreadLocale(), GetCalendarID(), CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER,
                          nullptr, 0, &maxYear) != 0 &&
        maxYear > 0) {
      const int32_t typed = result;
      result += static_cast<int32_t>(maxYear / 100 * 100);
      if (typed > static_cast<int32_t>(maxYear % 100)) result -= 100;
    }
  }
  return result;
}

// --- Gregorian family -----------------------------------------------------------------------

TcxGregorianCalendarTable::TcxGregorianCalendarTable()
    : FDefaultEra(std::make_unique<TcxEra>(-1, -700000, 0, 1, 9999)) {}

TcxGregorianCalendarTable::~TcxGregorianCalendarTable() = default;

TcxCalendarAlgorithmType TcxGregorianCalendarTable::GetCalendarAlgorithmType() const {
  return catSolarCalendar;
}

CALID TcxGregorianCalendarTable::GetCalendarID() const {
  return CAL_GREGORIAN;
}

TcxEra* TcxGregorianCalendarTable::GetDefaultEra() const {
  return FDefaultEra.get();
}

TDateTime TcxGregorianCalendarTable::GetMaxSupportedDate() const {
  return cxCalendarDays::EndOfDay(9999, 12, 31);
}

TDateTime TcxGregorianCalendarTable::GetMinSupportedDate() const {
  return EncodeDate(100, 1, 1);
}

int32_t TcxGregorianCalendarTable::GetMaxSupportedYear() const {
  return dxMaxYear;
}

int32_t TcxGregorianCalendarTable::GetMinSupportedYear() const {
  return dxMinYear;
}

TcxDateTime TcxGregorianCalendarTable::FromDateTime(TDateTime ADate) const {
  TcxDateTime result;
  int y, m, d;
  DecodeDate(ADate, y, m, d);
  result.Year = y;
  result.Month = m;
  result.Day = d;
  cxCalendarDays::DecodeTimeInto(ADate, result);
  return result;
}

int32_t TcxGregorianCalendarTable::GetDaysInMonth(int32_t AEra, int32_t AYear, int32_t AMonth) const {
  switch (AMonth) {
    case 2:
      return IsLeapYear(AEra, AYear) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
      return 31;
    default:
      return 0;
  }
}

int32_t TcxGregorianCalendarTable::GetDaysInYear(int32_t AEra, int32_t AYear) const {
  return IsLeapYear(AEra, AYear) ? 366 : 365;
}

TDay TcxGregorianCalendarTable::GetFirstWeekDay() const {
  return dSunday;
}

int32_t TcxGregorianCalendarTable::GetFullWeeksInYear(int32_t AYear) const {
  int32_t year = AYear;
  YearToGregorianYear(year, -1);
  int32_t d = WeekDayOfDay(GregorianDay(year, 1, 1)) - GetFirstWeekDay();
  if (d < 0) d += 7;
  return d > 5 || (IsLeapYear(AYear) && d > 4) ? 53 : 52;
}

int32_t TcxGregorianCalendarTable::GetMonthsInYear(int32_t, int32_t) const {
  return 12;
}

int32_t TcxGregorianCalendarTable::GetWeekNumber(const TcxDateTime& ADate, TDay AStartOfWeek,
                                                 TcxFirstWeekOfYear AFirstWeekOfYear) const {
  return dxGetWeekNumber(ToDateTime(ADate), AStartOfWeek, AFirstWeekOfYear);
}

bool TcxGregorianCalendarTable::IsLeapDay(int32_t AEra, int32_t AYear, int32_t AMonth, int32_t ADay) const {
  return IsLeapMonth(AEra, AYear, AMonth) && ADay == 29;
}

bool TcxGregorianCalendarTable::IsLeapMonth(int32_t AEra, int32_t AYear, int32_t AMonth) const {
  return AMonth == 2 && IsLeapYear(AEra, AYear);
}

bool TcxGregorianCalendarTable::IsLeapYear(int32_t AEra, int32_t AYear) const {
  int32_t year = AYear;
  YearToGregorianYear(year, AEra);
  return FloorMod(year, 4) == 0 && (FloorMod(year, 100) != 0 || FloorMod(year, 400) == 0);
}

TDateTime TcxGregorianCalendarTable::ToDateTime(const TcxDateTime& ADateTime) const {
  const TDateTime date = EncodeDate(ADateTime.Year, ADateTime.Month, ADateTime.Day);
  return Compose(DayOf(date), cxCalendarDays::EncodeTimeOf(ADateTime));
}

CALID TcxGregorianUSEnglishCalendarTable::GetCalendarID() const {
  return CAL_GREGORIAN_US;
}

CALID TcxGregorianMiddleEastFrenchCalendarTable::GetCalendarID() const {
  return CAL_GREGORIAN_ME_FRENCH;
}
TDay TcxGregorianMiddleEastFrenchCalendarTable::GetFirstWeekDay() const {
  return dMonday;
}

CALID TcxGregorianArabicCalendarTable::GetCalendarID() const {
  return CAL_GREGORIAN_ARABIC;
}
TDay TcxGregorianArabicCalendarTable::GetFirstWeekDay() const {
  return dSaturday;
}

CALID TcxGregorianTransliteratedEnglishCalendarTable::GetCalendarID() const {
  return CAL_GREGORIAN_XLIT_ENGLISH;
}
TDay TcxGregorianTransliteratedEnglishCalendarTable::GetFirstWeekDay() const {
  return dMonday;
}

CALID TcxGregorianTransliteratedFrenchCalendarTable::GetCalendarID() const {
  return CAL_GREGORIAN_XLIT_FRENCH;
}
TDay TcxGregorianTransliteratedFrenchCalendarTable::GetFirstWeekDay() const {
  return dMonday;
}

// --- Era calendars --------------------------------------------------------------------------

TcxJapaneseCalendarTable::TcxJapaneseCalendarTable() {
  FEras->Add(new TcxEra(1, EncodeDate(1868, 9, 8), 1867, 1, 45));
  FEras->Add(new TcxEra(2, EncodeDate(1912, 7, 30), 1911, 1, 15));
  FEras->Add(new TcxEra(3, EncodeDate(1926, 12, 25), 1925, 1, 64));
  FEras->Add(new TcxEra(4, EncodeDate(1989, 1, 8), 1988, 1, 31));
  FEras->Add(new TcxEra(5, EncodeDate(2019, 5, 1), 2018, 1, 9999 - 2018));
}

TcxJapaneseCalendarTable::TcxJapaneseCalendarTable(TNoEras) {}

CALID TcxJapaneseCalendarTable::GetCalendarID() const {
  return CAL_JAPAN;
}

TcxEra* TcxJapaneseCalendarTable::GetDefaultEra() const {
  return static_cast<TcxEra*>(FEras->Last());
}

TDateTime TcxJapaneseCalendarTable::GetMaxSupportedDate() const {
  return EncodeDate(9999, 12, 31);
}

TDateTime TcxJapaneseCalendarTable::GetMinSupportedDate() const {
  return FEras->Items(0)->FStartDate;
}

int32_t TcxJapaneseCalendarTable::GetMaxSupportedYear() const {
  return GetDefaultEra()->FMaxEraYear;
}

int32_t TcxJapaneseCalendarTable::GetMinSupportedYear() const {
  return 1;
}

TcxDateTime TcxJapaneseCalendarTable::FromDateTime(TDateTime ADate) const {
  TcxDateTime result = TcxGregorianCalendarTable::FromDateTime(ADate);
  result.Era = GetEra(result.Year, result.Month, result.Day);
  result.Year -= EraOf(result.Era)->FYearOffset;
  return result;
}

TDateTime TcxJapaneseCalendarTable::ToDateTime(const TcxDateTime& ADateTime) const {
  TDateTime result;
  if (IsNotValid(ADateTime, result)) return result;
  TcxDateTime date = ADateTime;
  YearToGregorianYear(date.Year, date.Era);
  return TcxGregorianCalendarTable::ToDateTime(date);
}

TcxTaiwanCalendarTable::TcxTaiwanCalendarTable() : TcxJapaneseCalendarTable(TNoEras{}) {
  FEras->Add(new TcxEra(1, EncodeDate(1912, 1, 1), 1911, 1, 8088));
}

CALID TcxTaiwanCalendarTable::GetCalendarID() const {
  return CAL_TAIWAN;
}
TDateTime TcxTaiwanCalendarTable::GetMinSupportedDate() const {
  return FEras->Items(0)->FStartDate;
}
int32_t TcxTaiwanCalendarTable::GetMaxSupportedYear() const {
  return FEras->Items(0)->FMaxEraYear;
}
int32_t TcxTaiwanCalendarTable::GetMinSupportedYear() const {
  return FEras->Items(0)->FMinEraYear;
}

TcxKoreanCalendarTable::TcxKoreanCalendarTable() : TcxJapaneseCalendarTable(TNoEras{}) {
  FEras->Add(new TcxEra(0, EncodeDate(1, 1, 1), -2333, 2334, 12332));
}

CALID TcxKoreanCalendarTable::GetCalendarID() const {
  return CAL_KOREA;
}
TDateTime TcxKoreanCalendarTable::GetMinSupportedDate() const {
  return FEras->Items(0)->FStartDate;
}
int32_t TcxKoreanCalendarTable::GetMaxSupportedYear() const {
  return FEras->Items(0)->FMaxEraYear;
}
int32_t TcxKoreanCalendarTable::GetMinSupportedYear() const {
  return FEras->Items(0)->FMinEraYear;
}

TcxThaiCalendarTable::TcxThaiCalendarTable() : TcxJapaneseCalendarTable(TNoEras{}) {
  FEras->Add(new TcxEra(0, EncodeDate(1, 1, 1), -543, 544, 10542));
}

CALID TcxThaiCalendarTable::GetCalendarID() const {
  return CAL_THAI;
}
TDateTime TcxThaiCalendarTable::GetMinSupportedDate() const {
  return FEras->Items(0)->FStartDate;
}
int32_t TcxThaiCalendarTable::GetMaxSupportedYear() const {
  return FEras->Items(0)->FMaxEraYear;
}
int32_t TcxThaiCalendarTable::GetMinSupportedYear() const {
  return FEras->Items(0)->FMinEraYear;
}

// --- Shared tables --------------------------------------------------------------------------

TcxCustomCalendarTableClass cxGetCalendarClass(CALID ACalendarID) {
  switch (ACalendarID) {
    case CAL_GREGORIAN_US:
      return TcxGregorianUSEnglishCalendarTable::StaticClass();
    case CAL_JAPAN:
      return TcxJapaneseCalendarTable::StaticClass();
    case CAL_TAIWAN:
      return TcxTaiwanCalendarTable::StaticClass();
    case CAL_KOREA:
      return TcxKoreanCalendarTable::StaticClass();
    case CAL_HIJRI:
      return TcxHijriCalendarTable::StaticClass();
    case CAL_THAI:
      return TcxThaiCalendarTable::StaticClass();
    case CAL_HEBREW:
      return TcxHebrewCalendarTable::StaticClass();
    case CAL_GREGORIAN_ME_FRENCH:
      return TcxGregorianMiddleEastFrenchCalendarTable::StaticClass();
    case CAL_GREGORIAN_ARABIC:
      return TcxGregorianArabicCalendarTable::StaticClass();
    case CAL_GREGORIAN_XLIT_ENGLISH:
      return TcxGregorianTransliteratedEnglishCalendarTable::StaticClass();
    case CAL_GREGORIAN_XLIT_FRENCH:
      return TcxGregorianTransliteratedFrenchCalendarTable::StaticClass();
    default:
      return TcxGregorianCalendarTable::StaticClass();
  }
}

namespace {

TcxCustomCalendarTable* FindCalendarTable(CALID ACalendarID) {
  for (TcxCustomCalendarTable* table : EnsureCalendarList().Tables)
    if (table->GetCalendarID() == ACalendarID) return table;
  return nullptr;
}

}  // namespace

TcxCustomCalendarTable* cxGetCalendar(CALID ACalendarID) {
  // Identifiers without a table of their own share the Gregorian one.
  const CALID id =
      ACalendarID >= CAL_GREGORIAN && ACalendarID <= CAL_GREGORIAN_XLIT_FRENCH ? ACalendarID : CAL_GREGORIAN;
  std::lock_guard guard(CalendarListLock());
  if (TcxCustomCalendarTable* table = FindCalendarTable(id)) return table;
  return static_cast<TcxCustomCalendarTable*>(cxGetCalendarClass(id)->Create());
}

CALID cxGetCalendarID(LCID ALocale) {
  DWORD value = 0;
  if (GetLocaleInfoW(ALocale, LOCALE_ICALENDARTYPE | LOCALE_RETURN_NUMBER, reinterpret_cast<WCHAR*>(&value),
                     sizeof(value) / sizeof(WCHAR)) == 0)
    return 0;
  return value;
}

CALID cxGetLocalCalendarID() {
  return cxGetCalendarID(GetThreadLocale());
}

TcxCustomCalendarTable* cxGetLocalCalendar() {
  return cxGetCalendar(cxGetLocalCalendarID());
}

bool cxIsGregorianCalendar(const TcxCustomCalendarTable* ACalendar) {
  if (!ACalendar) ACalendar = cxGetLocalCalendar();
  switch (ACalendar->GetCalendarID()) {
    case CAL_GREGORIAN:
    case CAL_GREGORIAN_US:
    case CAL_GREGORIAN_ME_FRENCH:
    case CAL_GREGORIAN_ARABIC:
    case CAL_GREGORIAN_XLIT_ENGLISH:
    case CAL_GREGORIAN_XLIT_FRENCH:
      return true;
    default:
      return false;
  }
}

int cxGetCalendarInfo(LCID Locale, CALID Calendar, CALTYPE CalType, WCHAR* lpCalData, int cchData,
                      DWORD* lpValue) {
  using TGetCalendarInfo = int (*)(LCID, CALID, CALTYPE, WCHAR*, int, DWORD*);
  HMODULE kernel = GetModuleHandleW(u"kernel32.dll");
  if (!kernel) return 0;
  auto proc = reinterpret_cast<TGetCalendarInfo>(GetProcAddress(kernel, "GetCalendarInfoW"));
  return proc ? proc(Locale, Calendar, CalType, lpCalData, cchData, lpValue) : 0;
}

void cxCreateCalendarList() {
  EnsureCalendarList();
}

void cxFreeCalendarList() {
  std::lock_guard guard(CalendarListLock());
  TCalendarList* list = CalendarList();
  if (!list) return;
  // Each table takes itself out of the list when it is destroyed.
  while (!list->Tables.empty()) delete list->Tables.back();
  delete list;
  CalendarList() = nullptr;
}

}  // namespace qd
