#pragma once
// Date utilities: the start of the week and week numbering, the locale's date and time
// formats, a small date-to-text formatter, localized month names, the smart-input words that
// date editors accept in place of a date, and the system's time zones with their
// daylight-saving transitions.
#include <cstdint>
#include <vector>

#include "platform/base/format.h"
#include "platform/base/types.h"
#include "platform/os/timezone.h"
#include "ui/core/cxCalendarTables.h"

namespace qd {

class TRegistry;

// --- Week and day ----------------------------------------------------------------------

// The locale's first-day number (0 = Monday ... 6 = Sunday) to TDay.
extern const TDay dxDayConvertTableSystem[7];
// The platform's day-of-week number (1 = Sunday ... 7 = Saturday, index 0 unused) to TDay.
extern const TDay dxDayConvertTableVCL[8];

// A process-wide start of the week that code may assign; otherwise the locale's.
void dxSetStartOfWeek(TDay AValue);
void dxResetAssignedStartOfWeek();
bool dxGetAssignedStartOfWeek();
TDay dxGetStartOfWeek();
TDay dxGetLocalStartOfWeek();
TcxFirstWeekOfYear dxGetLocalFirstWeekOfYear();

TDay dxDayOfWeek(TDateTime ADate);
// Days since the start of the week (0..6).
int32_t dxDayOfWeekOffset(TDateTime ADate);
int32_t dxDayOfWeekOffset(TDateTime ADate, TDay AStartOfWeek);
TDay dxDayOfWeekFromVCL(int32_t ADayOfWeek);
TDay dxDayOfWeekFromSystem(int32_t ADayOfWeek);

// The date part; -700000 (the "no date" marker) is returned unchanged.
TDateTime dxDateOf(TDateTime ADate);
TDateTime dxGetStartDateOfWeek(TDateTime ADate);
// The week of the year; the week always starts at dxGetStartOfWeek (AStartOfWeek is not
// used).
int32_t dxGetWeekNumber(TDateTime ADate, TDay AStartOfWeek, TcxFirstWeekOfYear AFirstWeekOfYear);

// --- Locale formats (thread locale) ----------------------------------------------------

Char cxGetLocalDateSeparator();
Char cxGetLocalTimeSeparator();
String cxGetLocalShortDateFormat();
String cxGetLocalLongDateFormat();
String cxGetLocalLongTimeFormat();
String cxGetLocalTimeAMString();
String cxGetLocalTimePMString();
// Date and time separators, short and long date formats, long time format, AM and PM texts
// of the locale; the list separator of the run-time settings; every other field empty.
TFormatSettings cxGetLocalFormatSettings();

// --- Text --------------------------------------------------------------------------------

// Date parts only: d, dd, ddd, dddd, m/mm (two digits), mmmm, yy, yyyy, quoted text; every
// part after the first is preceded by ADateSeparator, or by the text between the parts when
// ADateSeparator is #0.
String cxDateToStrByFormat(TDateTime ADate, const String& AFormat, Char ADateSeparator);
// The run-time formatter when the locale's calendar is Gregorian and the run-time formats are
// in use, else the system's GetDateFormatW; false and an empty text when that fails.
bool cxGetDateFormat(TDateTime ADate, String& AText, DWORD AFlags, const String& AFormat);
String cxGetLocalMonthName(TDateTime ADate, TcxCustomCalendarTable* ACalendar);
String cxGetLocalMonthName(int32_t AYear, int32_t AMonth, TcxCustomCalendarTable* ACalendar);

// --- Smart input -----------------------------------------------------------------------------

enum TcxDateEditSmartInput : uint8_t {
  deiToday,
  deiYesterday,
  deiTomorrow,
  deiSunday,
  deiMonday,
  deiTuesday,
  deiWednesday,
  deiThursday,
  deiFriday,
  deiSaturday,
  deiFirst,
  deiSecond,
  deiThird,
  deiFourth,
  deiFifth,
  deiSixth,
  deiSeventh,
  deiBOM,
  deiEOM,
  deiNow
};
constexpr int cxDateEditSmartInputCount = deiNow + 1;

// The words, loaded from the library's resource strings.
extern String scxDateEditSmartInput[cxDateEditSmartInputCount];
// Reloads the words from the resource strings.
void cxLoadDateEditSmartInputWords();
// AMask becomes "(AMask)|('today'|...)" followed by an optional signed offset; "now" only
// when a time may be entered.
void AddDateRegExprMaskSmartInput(String& AMask, bool ACanEnterTime);
// A text as a literal of the regular-expression mask language: runs of characters in
// apostrophes, an apostrophe as \'.
String cxRegExprQuotedText(const String& AText);

// --- Time zones --------------------------------------------------------------------------------

// The registry's "TZI" value.
struct TcxTZIField {
  int32_t Bias = 0;
  int32_t StandardBias = 0;
  int32_t DaylightBias = 0;
  SYSTEMTIME StandardDate;
  SYSTEMTIME DaylightDate;
};
static_assert(sizeof(TcxTZIField) == 44);

#pragma pack(push, 1)
// One year's daylight-saving period; both dates zero for a year without daylight time.
struct TcxDSTInfo {
  uint16_t Year = 0;
  TDateTime StartDate = 0;  // daylight time starts
  TDateTime EndDate = 0;    // standard time resumes
};
#pragma pack(pop)
static_assert(sizeof(TcxDSTInfo) == 18);

struct TcxTimeZoneInformation {
  String Display;
  String StandardName;
  String DaylightName;
  int32_t Index = 0;
  String MapId;
  TcxTZIField TZI;
  std::vector<TcxDSTInfo> DynamicDST;
};

class TdxTimeZoneHelper {
 public:
  TdxTimeZoneHelper() = delete;

  // Reads the system's current zone and the registry's zone list.
  static void InitTimeZoneInformation();
  static void DoneTimeZoneInformation();

  // Fills AInfo from the registry's current key (a zone key).
  static void ReadTimeZoneInfoFromRegistry(TRegistry* ARegistry, TcxTimeZoneInformation& AInfo);
  static void AddDSTInfo(TcxTimeZoneInformation& AInfo, int32_t AYear, const SYSTEMTIME& AStandardDate,
                         const SYSTEMTIME& ADaylightDate);
  // An absolute date when the record's year is AYear, else the rule's date in AYear.
  static TDateTime CalculateTransitionDate(int32_t AYear, const SYSTEMTIME& ATime);
  static void cxTZInfoToTZInfo(const TcxTimeZoneInformation& ASource, TIME_ZONE_INFORMATION& ADest);
  static void TZInfoTocxTZInfo(const TIME_ZONE_INFORMATION& ASource, TcxTimeZoneInformation& ADest);

  static int32_t TimeZoneCount();
  static const TcxTimeZoneInformation& TimeZoneInformations(int32_t AIndex);
  // The index of the system's zone (0 when none matches).
  static int32_t CurrentTimeZone();
  static const TcxTimeZoneInformation& DefaultTimeZoneInfo();
};

// kernel32's GetDynamicTimeZoneInformation, bound by name; false when missing or failing.
bool dxGetDynamicTimeZoneInformation(DYNAMIC_TIME_ZONE_INFORMATION& AInfo);

namespace cxDateUtils {
// Reads the locale's start of week, creates the calendar list and registers the time-zone
// list with the units loader; Finalize undoes it.
void Initialize();
void Finalize();
}  // namespace cxDateUtils

}  // namespace qd
