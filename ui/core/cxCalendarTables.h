#pragma once
// Calendar tables: one object per calendar that knows its eras, its supported range, the
// lengths of its years and months, leap rules, conversion from and to the platform's
// date-time, week numbering and date arithmetic. Tables are shared per calendar
// identifier (cxGetCalendar) and must not be freed by their users.
#include <array>
#include <cstdint>
#include <memory>

#include "platform/base/types.h"
#include "platform/classes/classes.h"
#include "platform/os/nls_calendar.h"
#include "ui/core/dxCoreClasses.h"

namespace qd {

// The years the Gregorian table supports (the platform's date-time range).
constexpr int32_t dxMinYear = 100;
constexpr int32_t dxMaxYear = 9999;

enum TDay : uint8_t { dSunday, dMonday, dTuesday, dWednesday, dThursday, dFriday, dSaturday };

enum TcxCalendarAlgorithmType : uint8_t {
  catUnknown,
  catSolarCalendar,
  catLunarCalendar,
  catLunarSolarCalendar
};

enum TcxFirstWeekOfYear : uint8_t { fwySystem, fwyJan1, fwyFirstFullWeek, fwyFirstFourDays };

// A date in a calendar's own reckoning. Era is an index into the table's eras, -1 for the
// table's default era.
struct TcxDateTime {
  int32_t Era = -1;
  int32_t Year = 0;
  int32_t Month = 0;
  int32_t Day = 0;
  uint8_t Hours = 0;
  uint8_t Minutes = 0;
  uint8_t Seconds = 0;
  uint16_t Milliseconds = 0;
};

struct TcxDate {
  int32_t Era = -1;
  int32_t Year = 0;
  int32_t Month = 0;
  int32_t Day = 0;
};

// One era: Gregorian year = era year + FYearOffset; FStartDate is the era's first day.
class TcxEra : public TPersistent {
  QD_CLASS(TcxEra, TPersistent)

 public:
  TcxEra() = default;
  TcxEra(int32_t AEra, TDateTime AStartDate, int32_t AYearOffset, int32_t AMinEraYear, int32_t AMaxEraYear);
  void Assign(TPersistent* Source) override;

  int32_t Era() const { return FEra; }
  int32_t MaxEraYear() const { return FMaxEraYear; }
  int32_t MinEraYear() const { return FMinEraYear; }
  TDateTime StartDate() const { return FStartDate; }
  int32_t YearOffset() const { return FYearOffset; }

  int32_t FEra = 0;
  int32_t FMaxEraYear = 0;
  int32_t FMinEraYear = 0;
  TDateTime FStartDate = 0;
  int32_t FYearOffset = 0;
};

// The eras of a calendar in start order; owns them.
class TcxEras : public TdxFastObjectList {
  QD_CLASS(TcxEras, TdxFastObjectList)

 public:
  TcxEras() : TdxFastObjectList(true) {}
  int32_t Add(TcxEra* AEra) { return TdxFastObjectList::Add(AEra); }
  TcxEra* Items(int32_t AIndex) const { return static_cast<TcxEra*>(TdxFastObjectList::Items(AIndex)); }
  // Assigns AEra's values into the era at AIndex (the list keeps its own object).
  void SetItems(int32_t AIndex, TcxEra* AEra);
  TcxEra* operator[](int32_t AIndex) const { return Items(AIndex); }
};

// The base of all calendar tables. Creating a table adds it to the process-wide list of
// tables, destroying it takes it out. The overloads without an era use era -1.
class TcxCustomCalendarTable : public TObject {
  QD_CLASS(TcxCustomCalendarTable, TObject)

 public:
  TcxCustomCalendarTable();
  ~TcxCustomCalendarTable() override;

  // Converts the year to Gregorian with AEra, finds the era of that date (1 January in
  // the short form), stores it in AEra and, when there is one, re-bases AYear to it.
  virtual void AdjustYear(int32_t& AYear, int32_t& AEra) const;
  virtual void AdjustYear(int32_t& AYear, int32_t& AEra, int32_t AMonth, int32_t ADay) const;

  virtual TcxCalendarAlgorithmType GetCalendarAlgorithmType() const = 0;
  virtual CALID GetCalendarID() const = 0;
  virtual TcxEra* GetDefaultEra() const = 0;
  virtual TDateTime GetMaxSupportedDate() const = 0;
  virtual TDateTime GetMinSupportedDate() const = 0;
  // Clamps ADate into the supported range (not a number becomes the maximum).
  virtual void CheckDateTime(TDateTime& ADate) const;
  virtual int32_t GetMaxSupportedYear() const = 0;
  virtual int32_t GetMinSupportedYear() const = 0;

  // Date arithmetic; results are clamped into the supported range and invalid dates give
  // GetMinSupportedDate.
  virtual TDateTime AddDays(const TcxDateTime& ADate, int32_t ACountDays) const;
  virtual TDateTime AddMonths(TDateTime ADate, int32_t ACountMonths) const;
  virtual TDateTime AddMonths(const TcxDateTime& ADate, int32_t ACountMonths) const;
  virtual TDateTime AddYears(TDateTime ADate, int32_t ACountYears) const;
  virtual TDateTime AddYears(const TcxDateTime& ADate, int32_t ACountYears) const;
  virtual TDateTime AddWeeks(TDateTime ADate, int32_t ACountWeeks) const;
  virtual TDateTime AddWeeks(const TcxDateTime& ADate, int32_t ACountWeeks) const;

  virtual TcxDateTime FromDateTime(TDateTime ADate) const = 0;
  // From a Gregorian date (and time).
  virtual TcxDateTime FromDateTime(int32_t AYear, int32_t AMonth, int32_t ADay) const;
  virtual TcxDateTime FromDateTime(int32_t AYear, int32_t AMonth, int32_t ADay, int32_t AHours,
                                   int32_t AMinutes, int32_t ASeconds, int32_t AMilliseconds) const;

  virtual int32_t GetDayOfYear(TDateTime ADate) const;
  virtual int32_t GetDayOfYear(const TcxDateTime& ADate) const;
  virtual int32_t GetDaysInMonth(int32_t AYear, int32_t AMonth) const;
  virtual int32_t GetDaysInMonth(int32_t AEra, int32_t AYear, int32_t AMonth) const = 0;
  virtual int32_t GetDaysInYear(int32_t AYear) const;
  virtual int32_t GetDaysInYear(int32_t AEra, int32_t AYear) const = 0;
  // The index of the era that contains 1 January (or the given month and day) of the
  // Gregorian year; -1 when there is none.
  virtual int32_t GetEra(int32_t AYear) const;
  virtual int32_t GetEra(int32_t AYear, int32_t AMonth, int32_t ADay) const;

  virtual TDateTime GetFirstDayOfWeek(TDateTime ADate) const;
  virtual TDateTime GetFirstDayOfWeek(TDateTime ADate, TDay AStartDayOfWeek) const;
  virtual TcxDateTime GetFirstDayOfWeek(const TcxDateTime& ADate) const;
  virtual TcxDateTime GetFirstDayOfWeek(const TcxDateTime& ADate, TDay AStartDayOfWeek) const;
  virtual TDateTime GetFirstDayOfMonth(TDateTime ADate) const;
  virtual TcxDateTime GetFirstDayOfMonth(const TcxDateTime& ADate) const;
  virtual TDateTime GetFirstDayOfYear(TDateTime ADate) const;
  virtual TcxDateTime GetFirstDayOfYear(const TcxDateTime& ADate) const;
  virtual TDay GetFirstWeekDay() const = 0;
  virtual int32_t GetFullWeeksInYear(int32_t AYear) const = 0;
  virtual TDateTime GetLastDayOfMonth(TDateTime ADate) const;
  virtual TcxDateTime GetLastDayOfMonth(const TcxDateTime& ADate) const;
  virtual TDateTime GetLastDayOfYear(TDateTime ADate) const;
  virtual TcxDateTime GetLastDayOfYear(const TcxDateTime& ADate) const;
  virtual int32_t GetMonthsInYear(int32_t AYear) const;
  virtual int32_t GetMonthsInYear(int32_t AEra, int32_t AYear) const = 0;
  virtual int32_t GetYear(TDateTime ADate) const;
  virtual int32_t GetYear(const TcxDate& ADate) const;
  virtual int32_t GetYear(const TcxDateTime& ADate) const;
  virtual TDay GetWeekDay(TDateTime ADate) const;
  virtual TDay GetWeekDay(const TcxDateTime& ADate) const;
  virtual int32_t GetWeekNumber(TDateTime ADate, TDay AStartOfWeek,
                                TcxFirstWeekOfYear AFirstWeekOfYear) const;
  virtual int32_t GetWeekNumber(const TcxDateTime& ADate, TDay AStartOfWeek,
                                TcxFirstWeekOfYear AFirstWeekOfYear) const = 0;

  virtual bool IsLeapDay(int32_t AYear, int32_t AMonth, int32_t ADay) const;
  virtual bool IsLeapDay(int32_t AEra, int32_t AYear, int32_t AMonth, int32_t ADay) const = 0;
  virtual bool IsLeapMonth(int32_t AYear, int32_t AMonth) const;
  virtual bool IsLeapMonth(int32_t AEra, int32_t AYear, int32_t AMonth) const = 0;
  virtual bool IsLeapYear(int32_t AYear) const;
  virtual bool IsLeapYear(int32_t AEra, int32_t AYear) const = 0;

  virtual bool IsValidYear(int32_t AYear) const;
  virtual bool IsValidYear(int32_t AEra, int32_t AYear) const;
  virtual bool IsValidMonth(int32_t AYear, int32_t AMonth) const;
  virtual bool IsValidMonth(int32_t AEra, int32_t AYear, int32_t AMonth) const;
  virtual bool IsValidDay(int32_t AYear, int32_t AMonth, int32_t ADay) const;
  virtual bool IsValidDay(int32_t AEra, int32_t AYear, int32_t AMonth, int32_t ADay) const;
  virtual bool IsValidDate(TDateTime ADate) const;

  virtual TDateTime ToDateTime(const TcxDate& ADate) const;
  virtual TDateTime ToDateTime(int32_t AYear, int32_t AMonth, int32_t ADay) const;
  virtual TDateTime ToDateTime(int32_t AYear, int32_t AMonth, int32_t ADay, int32_t AHours, int32_t AMinutes,
                               int32_t ASeconds, int32_t AMilliseconds) const;
  virtual TDateTime ToDateTime(const TcxDateTime& ADateTime) const = 0;

  // Text to numbers, as typed into date editors. Text that is not a number raises
  // EConvertError.
  virtual int32_t GetDayNumber(const String& S) const;
  virtual int32_t GetMonthNumber(int32_t AYear, const String& S) const;
  virtual int32_t GetYearNumber(const String& S) const;

  TcxEras* Eras() const { return FEras.get(); }

 protected:
  // Era -1 adds the default era's offset, a valid era index that era's offset; other
  // values leave the year.
  void YearToGregorianYear(int32_t& AYear, int32_t AEra) const;
  // True (and AResult = GetMinSupportedDate) when ADate is not a valid day.
  bool IsNotValid(const TcxDateTime& ADate, TDateTime& AResult) const;
  // The era object that era index AEra stands for (the default era for -1 and for
  // indexes outside the list).
  TcxEra* EraOf(int32_t AEra) const;

  std::unique_ptr<TcxEras> FEras;
};

using TcxCustomCalendarTableClass = TClass;

// --- Gregorian family -------------------------------------------------------------------

class TcxGregorianCalendarTable : public TcxCustomCalendarTable {
  QD_CLASS(TcxGregorianCalendarTable, TcxCustomCalendarTable)

 public:
  TcxGregorianCalendarTable();
  ~TcxGregorianCalendarTable() override;

  using TcxCustomCalendarTable::FromDateTime;
  using TcxCustomCalendarTable::GetDaysInMonth;
  using TcxCustomCalendarTable::GetDaysInYear;
  using TcxCustomCalendarTable::GetMonthsInYear;
  using TcxCustomCalendarTable::GetWeekNumber;
  using TcxCustomCalendarTable::IsLeapDay;
  using TcxCustomCalendarTable::IsLeapMonth;
  using TcxCustomCalendarTable::IsLeapYear;
  using TcxCustomCalendarTable::ToDateTime;

  TcxCalendarAlgorithmType GetCalendarAlgorithmType() const override;
  CALID GetCalendarID() const override;
  TcxEra* GetDefaultEra() const override;
  TDateTime GetMaxSupportedDate() const override;
  TDateTime GetMinSupportedDate() const override;
  int32_t GetMaxSupportedYear() const override;
  int32_t GetMinSupportedYear() const override;
  TcxDateTime FromDateTime(TDateTime ADate) const override;
  int32_t GetDaysInMonth(int32_t AEra, int32_t AYear, int32_t AMonth) const override;
  int32_t GetDaysInYear(int32_t AEra, int32_t AYear) const override;
  TDay GetFirstWeekDay() const override;
  int32_t GetFullWeeksInYear(int32_t AYear) const override;
  int32_t GetMonthsInYear(int32_t AEra, int32_t AYear) const override;
  int32_t GetWeekNumber(const TcxDateTime& ADate, TDay AStartOfWeek,
                        TcxFirstWeekOfYear AFirstWeekOfYear) const override;
  bool IsLeapDay(int32_t AEra, int32_t AYear, int32_t AMonth, int32_t ADay) const override;
  bool IsLeapMonth(int32_t AEra, int32_t AYear, int32_t AMonth) const override;
  bool IsLeapYear(int32_t AEra, int32_t AYear) const override;
  TDateTime ToDateTime(const TcxDateTime& ADateTime) const override;

 private:
  std::unique_ptr<TcxEra> FDefaultEra;
};

class TcxGregorianUSEnglishCalendarTable : public TcxGregorianCalendarTable {
  QD_CLASS(TcxGregorianUSEnglishCalendarTable, TcxGregorianCalendarTable)

 public:
  CALID GetCalendarID() const override;
};

class TcxGregorianMiddleEastFrenchCalendarTable : public TcxGregorianCalendarTable {
  QD_CLASS(TcxGregorianMiddleEastFrenchCalendarTable, TcxGregorianCalendarTable)

 public:
  CALID GetCalendarID() const override;
  TDay GetFirstWeekDay() const override;
};

class TcxGregorianArabicCalendarTable : public TcxGregorianCalendarTable {
  QD_CLASS(TcxGregorianArabicCalendarTable, TcxGregorianCalendarTable)

 public:
  CALID GetCalendarID() const override;
  TDay GetFirstWeekDay() const override;
};

class TcxGregorianTransliteratedEnglishCalendarTable : public TcxGregorianCalendarTable {
  QD_CLASS(TcxGregorianTransliteratedEnglishCalendarTable, TcxGregorianCalendarTable)

 public:
  CALID GetCalendarID() const override;
  TDay GetFirstWeekDay() const override;
};

class TcxGregorianTransliteratedFrenchCalendarTable : public TcxGregorianCalendarTable {
  QD_CLASS(TcxGregorianTransliteratedFrenchCalendarTable, TcxGregorianCalendarTable)

 public:
  CALID GetCalendarID() const override;
  TDay GetFirstWeekDay() const override;
};

// --- Era calendars ----------------------------------------------------------------------

// Meiji, Taisho, Showa, Heisei and Reiwa; the last era is the default one.
class TcxJapaneseCalendarTable : public TcxGregorianCalendarTable {
  QD_CLASS(TcxJapaneseCalendarTable, TcxGregorianCalendarTable)

 public:
  TcxJapaneseCalendarTable();

  using TcxGregorianCalendarTable::FromDateTime;
  using TcxGregorianCalendarTable::ToDateTime;

  CALID GetCalendarID() const override;
  TcxEra* GetDefaultEra() const override;
  TDateTime GetMaxSupportedDate() const override;
  TDateTime GetMinSupportedDate() const override;
  int32_t GetMaxSupportedYear() const override;
  int32_t GetMinSupportedYear() const override;
  TcxDateTime FromDateTime(TDateTime ADate) const override;
  TDateTime ToDateTime(const TcxDateTime& ADateTime) const override;

 protected:
  // For the single-era calendars built on this one.
  struct TNoEras {};
  explicit TcxJapaneseCalendarTable(TNoEras);
};

// The calendars with one era: their minimum date and year range come from it.
class TcxTaiwanCalendarTable : public TcxJapaneseCalendarTable {
  QD_CLASS(TcxTaiwanCalendarTable, TcxJapaneseCalendarTable)

 public:
  TcxTaiwanCalendarTable();
  CALID GetCalendarID() const override;
  TDateTime GetMinSupportedDate() const override;
  int32_t GetMaxSupportedYear() const override;
  int32_t GetMinSupportedYear() const override;
};

class TcxKoreanCalendarTable : public TcxJapaneseCalendarTable {
  QD_CLASS(TcxKoreanCalendarTable, TcxJapaneseCalendarTable)

 public:
  TcxKoreanCalendarTable();
  CALID GetCalendarID() const override;
  TDateTime GetMinSupportedDate() const override;
  int32_t GetMaxSupportedYear() const override;
  int32_t GetMinSupportedYear() const override;
};

class TcxThaiCalendarTable : public TcxJapaneseCalendarTable {
  QD_CLASS(TcxThaiCalendarTable, TcxJapaneseCalendarTable)

 public:
  TcxThaiCalendarTable();
  CALID GetCalendarID() const override;
  TDateTime GetMinSupportedDate() const override;
  int32_t GetMaxSupportedYear() const override;
  int32_t GetMinSupportedYear() const override;
};

// --- Lunar calendars --------------------------------------------------------------------

// The tabular (arithmetic) Hijri calendar: a 30-year cycle with 11 leap years.
class TcxHijriCalendarTable : public TcxCustomCalendarTable {
  QD_CLASS(TcxHijriCalendarTable, TcxCustomCalendarTable)

 public:
  TcxHijriCalendarTable();
  ~TcxHijriCalendarTable() override;

  using TcxCustomCalendarTable::FromDateTime;
  using TcxCustomCalendarTable::GetDaysInMonth;
  using TcxCustomCalendarTable::GetDaysInYear;
  using TcxCustomCalendarTable::GetMonthsInYear;
  using TcxCustomCalendarTable::GetWeekNumber;
  using TcxCustomCalendarTable::IsLeapDay;
  using TcxCustomCalendarTable::IsLeapMonth;
  using TcxCustomCalendarTable::IsLeapYear;
  using TcxCustomCalendarTable::ToDateTime;

  TcxCalendarAlgorithmType GetCalendarAlgorithmType() const override;
  CALID GetCalendarID() const override;
  TcxEra* GetDefaultEra() const override;
  TDateTime GetMaxSupportedDate() const override;
  TDateTime GetMinSupportedDate() const override;
  int32_t GetMaxSupportedYear() const override;
  int32_t GetMinSupportedYear() const override;
  TcxDateTime FromDateTime(TDateTime ADate) const override;
  int32_t GetDaysInMonth(int32_t AEra, int32_t AYear, int32_t AMonth) const override;
  int32_t GetDaysInYear(int32_t AEra, int32_t AYear) const override;
  TDay GetFirstWeekDay() const override;
  int32_t GetFullWeeksInYear(int32_t AYear) const override;
  int32_t GetMonthsInYear(int32_t AEra, int32_t AYear) const override;
  int32_t GetMonthNumber(int32_t AYear, const String& S) const override;
  int32_t GetWeekNumber(const TcxDateTime& ADate, TDay AStartOfWeek,
                        TcxFirstWeekOfYear AFirstWeekOfYear) const override;
  bool IsLeapDay(int32_t AEra, int32_t AYear, int32_t AMonth, int32_t ADay) const override;
  bool IsLeapMonth(int32_t AEra, int32_t AYear, int32_t AMonth) const override;
  bool IsLeapYear(int32_t AEra, int32_t AYear) const override;
  TDateTime ToDateTime(const TcxDateTime& ADateTime) const override;

 private:
  std::unique_ptr<TcxEra> FDefaultEra;
};

class TcxHebrewCalendarTable : public TcxCustomCalendarTable {
  QD_CLASS(TcxHebrewCalendarTable, TcxCustomCalendarTable)

 public:
  TcxHebrewCalendarTable();
  ~TcxHebrewCalendarTable() override;

  using TcxCustomCalendarTable::FromDateTime;
  using TcxCustomCalendarTable::GetDaysInMonth;
  using TcxCustomCalendarTable::GetDaysInYear;
  using TcxCustomCalendarTable::GetMonthsInYear;
  using TcxCustomCalendarTable::GetWeekNumber;
  using TcxCustomCalendarTable::IsLeapDay;
  using TcxCustomCalendarTable::IsLeapMonth;
  using TcxCustomCalendarTable::IsLeapYear;
  using TcxCustomCalendarTable::ToDateTime;

  TcxCalendarAlgorithmType GetCalendarAlgorithmType() const override;
  CALID GetCalendarID() const override;
  TcxEra* GetDefaultEra() const override;
  TDateTime GetMaxSupportedDate() const override;
  TDateTime GetMinSupportedDate() const override;
  int32_t GetMaxSupportedYear() const override;
  int32_t GetMinSupportedYear() const override;
  TcxDateTime FromDateTime(TDateTime ADate) const override;
  int32_t GetDayNumber(const String& S) const override;
  int32_t GetDaysInMonth(int32_t AEra, int32_t AYear, int32_t AMonth) const override;
  int32_t GetDaysInYear(int32_t AEra, int32_t AYear) const override;
  TDay GetFirstWeekDay() const override;
  int32_t GetFullWeeksInYear(int32_t AYear) const override;
  int32_t GetMonthNumber(int32_t AYear, const String& S) const override;
  int32_t GetMonthsInYear(int32_t AEra, int32_t AYear) const override;
  int32_t GetWeekNumber(const TcxDateTime& ADate, TDay AStartOfWeek,
                        TcxFirstWeekOfYear AFirstWeekOfYear) const override;
  int32_t GetYearNumber(const String& S) const override;
  bool IsLeapDay(int32_t AEra, int32_t AYear, int32_t AMonth, int32_t ADay) const override;
  bool IsLeapMonth(int32_t AEra, int32_t AYear, int32_t AMonth) const override;
  bool IsLeapYear(int32_t AEra, int32_t AYear) const override;
  TDateTime ToDateTime(const TcxDateTime& ADateTime) const override;

  // The year type (1 to 6, see cxHebrewLunarMonthLen) reduced by 3 in a leap year; 0
  // outside 5343..5999.
  int32_t GetYearType(int32_t AYear) const;
  // The value of a Hebrew numeral: the sum of its letters' values (alef 1 ... tav 400, final
  // forms as their letters). Letters count as Unicode characters and at their positions
  // 224..250 of the Hebrew single-byte code page; everything else counts 0.
  static int32_t HebrewNumber(const String& S);

 private:
  std::unique_ptr<TcxEra> FDefaultEra;
};

// --- Hebrew tables ------------------------------------------------------------------------

// Per Gregorian year 1583 + i: { the Hebrew date of 1 January (0 = 1 Shevat, 30 = 30 Kislev,
// 31 = 2 Shevat, 32 = 3 Shevat, 33 = 29 Kislev, d otherwise = d Tevet), the type of the
// Hebrew year that contains it (1..3 common years of 353, 354, 355 days, 4..6 leap years
// of 383, 384, 385 days) }. Computed from the rules of the Hebrew calendar on first use.
constexpr int32_t cxHebrewTableFirstYear = 1583;
constexpr int32_t cxHebrewTableSize = 658;
using TcxHebrewTable = std::array<std::array<int32_t, 2>, cxHebrewTableSize>;
const TcxHebrewTable& cxHebrewTable();

// Month lengths by year type (row 1..6) and month (1..13); row 0 and column 0 are zero.
extern const int32_t cxHebrewLunarMonthLen[7][14];

// --- Shared tables ----------------------------------------------------------------------

// The class of the table for a calendar identifier: 2 to 12 their tables, the Gregorian
// table for 1 and every other identifier.
TcxCustomCalendarTableClass cxGetCalendarClass(CALID ACalendarID);
// The shared table of a calendar identifier, created on first request; never free it.
TcxCustomCalendarTable* cxGetCalendar(CALID ACalendarID);
// The calendar type of a locale (LOCALE_ICALENDARTYPE).
CALID cxGetCalendarID(LCID ALocale);
// The calendar type of the thread locale, and its shared table.
CALID cxGetLocalCalendarID();
TcxCustomCalendarTable* cxGetLocalCalendar();
// True for the calendars 1, 2 and 9 to 12; nullptr asks about the thread locale's calendar.
bool cxIsGregorianCalendar(const TcxCustomCalendarTable* ACalendar = nullptr);
// The system's GetCalendarInfoW, looked up by name in kernel32 at each call; 0 when it is
// missing.
int cxGetCalendarInfo(LCID Locale, CALID Calendar, CALTYPE CalType, WCHAR* lpCalData, int cchData,
                      DWORD* lpValue);

// The process-wide list of tables. The date utilities create it at start-up and free it,
// with every table, at shut-down; cxGetCalendar creates it when needed.
void cxCreateCalendarList();
void cxFreeCalendarList();

}  // namespace qd
