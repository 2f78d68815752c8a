#include "ui/core/cxDateUtils.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <memory>

#include "platform/base/exceptions.h"
#include "platform/base/strings.h"
#include "platform/classes/lists.h"
#include "platform/classes/registry.h"
#include "platform/os/kernel.h"
#include "platform/os/nls.h"
#include "ui/core/cxFormats.h"
#include "ui/core/cxLibraryStrs.h"
#include "ui/core/dxCore.h"

namespace qd {

const TDay dxDayConvertTableSystem[7] = {dMonday, dTuesday,  dWednesday, dThursday,
                                         dFriday, dSaturday, dSunday};
const TDay dxDayConvertTableVCL[8] = {dSunday,    dSunday,   dMonday, dTuesday,
                                      dWednesday, dThursday, dFriday, dSaturday};

String scxDateEditSmartInput[cxDateEditSmartInputCount];

namespace {

constexpr TDateTime kNullDate = -700000;
constexpr TDateTime kNoFirstWeekDate = -699999;

TDay FStartOfWeek = dSunday;
bool FAssignedStartOfWeek = false;

std::vector<TcxTimeZoneInformation> FTimeZoneInformations;
int32_t FCurrentTimeZone = 0;
TcxTimeZoneInformation FDefaultTimeZoneInfo;

const TResStringRec* const kSmartInputStrings[cxDateEditSmartInputCount] = {
    &cxSDateToday,   &cxSDateYesterday, &cxSDateTomorrow, &cxSDateSunday, &cxSDateMonday,
    &cxSDateTuesday, &cxSDateWednesday, &cxSDateThursday, &cxSDateFriday, &cxSDateSaturday,
    &cxSDateFirst,   &cxSDateSecond,    &cxSDateThird,    &cxSDateFourth, &cxSDateFifth,
    &cxSDateSixth,   &cxSDateSeventh,   &cxSDateBOM,      &cxSDateEOM,    &cxSDateNow};

String ZeroPadded(int64_t AValue, size_t AWidth) {
  String s = IntToStr(AValue);
  while (s.size() < AWidth) s.insert(s.begin(), u'0');
  return s;
}

Char FirstChar(const String& S) {
  return S.empty() ? Char(0) : S[0];
}

// The first day of week 1 of a year, or the marker when the year cannot be encoded.
TDateTime GetYearFirstWeekDate(int32_t AYear, TcxFirstWeekOfYear AFirstWeekOfYear) {
  TDateTime jan1;
  if (!TryEncodeDate(AYear, 1, 1, jan1)) return kNoFirstWeekDate;
  switch (AFirstWeekOfYear) {
    case fwyJan1:
      return dxGetStartDateOfWeek(jan1);
    case fwyFirstFourDays:
      return dxGetStartDateOfWeek(jan1 + 3);
    default:
      return dxGetStartDateOfWeek(jan1 + 6);
  }
}

SYSTEMTIME ToSystemTime(TDateTime ADate) {
  int y, m, d, h, n, s, ms;
  DecodeDate(ADate, y, m, d);
  DecodeTime(ADate, h, n, s, ms);
  SYSTEMTIME st;
  st.wYear = static_cast<WORD>(y);
  st.wMonth = static_cast<WORD>(m);
  st.wDay = static_cast<WORD>(d);
  st.wDayOfWeek = static_cast<WORD>(DayOfWeek(ADate) - 1);
  st.wHour = static_cast<WORD>(h);
  st.wMinute = static_cast<WORD>(n);
  st.wSecond = static_cast<WORD>(s);
  st.wMilliseconds = static_cast<WORD>(ms);
  return st;
}

void CopyName(const String& S, WCHAR (&ADest)[32]) {
  std::fill(std::begin(ADest), std::end(ADest), u'\0');
  std::copy_n(S.begin(), std::min<size_t>(S.size(), 32), ADest);
}

String NameOf(const WCHAR (&ASource)[32]) {
  size_t n = 0;
  while (n < 32 && ASource[n]) ++n;
  return String(ASource, n);
}

}  // namespace

// --- Week and day ------------------------------------------------------------------------

void dxSetStartOfWeek(TDay AValue) {
  FStartOfWeek = AValue;
  FAssignedStartOfWeek = true;
}

void dxResetAssignedStartOfWeek() {
  FAssignedStartOfWeek = false;
}

bool dxGetAssignedStartOfWeek() {
  return FAssignedStartOfWeek;
}

TDay dxGetStartOfWeek() {
  return FAssignedStartOfWeek ? FStartOfWeek : dxGetLocalStartOfWeek();
}

TDay dxGetLocalStartOfWeek() {
  const Char c = FirstChar(dxGetLocaleInfo(GetThreadLocale(), LOCALE_IFIRSTDAYOFWEEK, u"0"));
  return c >= u'0' && c <= u'6' ? dxDayConvertTableSystem[c - u'0'] : dxDayConvertTableSystem[0];
}

TcxFirstWeekOfYear dxGetLocalFirstWeekOfYear() {
  const Char c = FirstChar(dxGetLocaleInfo(GetThreadLocale(), LOCALE_IFIRSTWEEKOFYEAR, u"0"));
  return c >= u'0' && c <= u'2' ? static_cast<TcxFirstWeekOfYear>(c - u'0' + 1) : fwyJan1;
}

TDay dxDayOfWeek(TDateTime ADate) {
  return dxDayConvertTableVCL[DayOfWeek(ADate)];
}

int32_t dxDayOfWeekOffset(TDateTime ADate) {
  return dxDayOfWeekOffset(ADate, dxGetStartOfWeek());
}

int32_t dxDayOfWeekOffset(TDateTime ADate, TDay AStartOfWeek) {
  return (static_cast<int32_t>(dxDayOfWeek(ADate)) - static_cast<int32_t>(AStartOfWeek) + 7) % 7;
}

TDay dxDayOfWeekFromVCL(int32_t ADayOfWeek) {
  return dxDayConvertTableVCL[std::clamp(ADayOfWeek, 1, 7)];
}

TDay dxDayOfWeekFromSystem(int32_t ADayOfWeek) {
  return dxDayConvertTableSystem[std::clamp(ADayOfWeek, 0, 6)];
}

TDateTime dxDateOf(TDateTime ADate) {
  if (ADate == kNullDate) return ADate;
  // Negative values keep the day before the fraction: -1.5 is 1899-12-29 12:00.
  return std::trunc(ADate);
}

TDateTime dxGetStartDateOfWeek(TDateTime ADate) {
  return dxDateOf(ADate) - dxDayOfWeekOffset(ADate);
}

int32_t dxGetWeekNumber(TDateTime ADate, TDay, TcxFirstWeekOfYear AFirstWeekOfYear) {
  if (AFirstWeekOfYear == fwySystem) AFirstWeekOfYear = dxGetLocalFirstWeekOfYear();
  int y, m, d;
  DecodeDate(ADate, y, m, d);
  if (m == 12) {
    const TDateTime next = GetYearFirstWeekDate(y + 1, AFirstWeekOfYear);
    if (next != kNoFirstWeekDate && ADate >= next) return 1;
  }
  TDateTime start = GetYearFirstWeekDate(y, AFirstWeekOfYear);
  if (m == 1 && ADate < start) start = GetYearFirstWeekDate(y - 1, AFirstWeekOfYear);
  return static_cast<int32_t>(std::trunc(std::trunc(ADate) - start)) / 7 + 1;
}

// --- Locale formats --------------------------------------------------------------------------

Char cxGetLocalDateSeparator() {
  return FirstChar(dxGetLocaleInfo(GetThreadLocale(), LOCALE_SDATE));
}

Char cxGetLocalTimeSeparator() {
  return FirstChar(dxGetLocaleInfo(GetThreadLocale(), LOCALE_STIME));
}

String cxGetLocalShortDateFormat() {
  return dxGetLocaleInfo(GetThreadLocale(), LOCALE_SSHORTDATE);
}

String cxGetLocalLongDateFormat() {
  return dxGetLocaleInfo(GetThreadLocale(), LOCALE_SLONGDATE);
}

String cxGetLocalLongTimeFormat() {
  return dxGetLocaleInfo(GetThreadLocale(), LOCALE_STIMEFORMAT);
}

String cxGetLocalTimeAMString() {
  return dxGetLocaleInfo(GetThreadLocale(), LOCALE_S1159);
}

String cxGetLocalTimePMString() {
  return dxGetLocaleInfo(GetThreadLocale(), LOCALE_S2359);
}

TFormatSettings cxGetLocalFormatSettings() {
  TFormatSettings r;
  r.CurrencyString.clear();
  r.TimeAMString.clear();
  r.TimePMString.clear();
  r.ShortTimeFormat.clear();
  r.LongTimeFormat.clear();
  for (auto& s : r.ShortMonthNames) s.clear();
  for (auto& s : r.LongMonthNames) s.clear();
  for (auto& s : r.ShortDayNames) s.clear();
  for (auto& s : r.LongDayNames) s.clear();
  r.DecimalSeparator = 0;
  r.ThousandSeparator = 0;
  r.CurrencyFormat = 0;
  r.NegCurrFormat = 0;
  r.CurrencyDecimals = 0;
  r.TwoDigitYearCenturyWindow = 0;
  r.DateSeparator = cxGetLocalDateSeparator();
  r.ShortDateFormat = cxGetLocalShortDateFormat();
  r.LongDateFormat = cxGetLocalLongDateFormat();
  r.TimeSeparator = cxGetLocalTimeSeparator();
  r.LongTimeFormat = cxGetLocalLongTimeFormat();
  r.TimeAMString = cxGetLocalTimeAMString();
  r.TimePMString = cxGetLocalTimePMString();
  r.ListSeparator = FormatSettings().ListSeparator;
  return r;
}

// --- Text ----------------------------------------------------------------------------------

String cxDateToStrByFormat(TDateTime ADate, const String& AFormat, Char ADateSeparator) {
  int year, month, day;
  DecodeDate(ADate, year, month, day);
  const int weekDay = DayOfWeek(ADate);  // 1 = Sunday
  const String format = LowerCase(AFormat);
  const TFormatSettings& settings = FormatSettings();
  auto isAllowed = [](Char c) { return c == u'\'' || c == u'"' || c == u'd' || c == u'm' || c == u'y'; };

  String result, pending;
  auto append = [&](const String& APart) {
    if (!result.empty() || !pending.empty())
      result += ADateSeparator != 0 ? String(1, ADateSeparator) : pending;
    pending.clear();
    result += APart;
  };

  size_t i = 0;
  while (i < format.size() && !isAllowed(format[i])) ++i;
  while (i < format.size()) {
    const Char c = format[i];
    if (c == u'\'' || c == u'"') {
      size_t j = AFormat.find(c, i + 1);
      if (j == String::npos) j = AFormat.size();
      pending += AFormat.substr(i + 1, j - i - 1);
      i = j + 1;
      continue;
    }
    if (c == u'd' || c == u'm' || c == u'y') {
      size_t j = i;
      while (j < format.size() && format[j] == c) ++j;
      const size_t run = j - i;
      i = j;
      if (c == u'd') {
        if (run == 3)
          append(settings.ShortDayNames[static_cast<size_t>(weekDay - 1)]);
        else if (run == 4)
          append(settings.LongDayNames[static_cast<size_t>(weekDay - 1)]);
        else if (run == 2)
          append(ZeroPadded(day, 2));
        else
          append(IntToStr(day));
      } else if (c == u'm') {
        append(run == 4 ? settings.LongMonthNames[static_cast<size_t>(month - 1)] : ZeroPadded(month, 2));
      } else {
        append(run == 4 ? ZeroPadded(year % 10000, 4) : ZeroPadded(year % 100, 2));
      }
      continue;
    }
    if (c == u'e') {
      ++i;
      while (i < format.size() && !isAllowed(format[i])) ++i;
      pending.clear();
      continue;
    }
    pending += AFormat[i];
    ++i;
  }
  return result;
}

bool cxGetDateFormat(TDateTime ADate, String& AText, DWORD AFlags, const String& AFormat) {
  TcxFormatController* controller = cxFormatController();
  if (controller->LocalIsGregorianCalendar() && controller->UseRunTimeDateTimeFormats()) {
    AText = cxDateToStrByFormat(ADate, AFormat.empty() ? FormatSettings().LongDateFormat : AFormat, 0);
    return true;
  }
  AText.clear();
  SYSTEMTIME st = ToSystemTime(ADate);
  WCHAR buffer[256];
  const int n = GetDateFormatW(GetThreadLocale(), AFlags, &st, AFormat.empty() ? nullptr : AFormat.c_str(),
                               buffer, 256);
  if (n <= 0) return false;
  AText.assign(buffer, static_cast<size_t>(n - 1));
  return true;
}

String cxGetLocalMonthName(TDateTime ADate, TcxCustomCalendarTable* ACalendar) {
  TcxDateTime date = ACalendar->FromDateTime(ADate);
  date.Day = 1;
  if (!(cxIsGregorianCalendar(ACalendar) && cxFormatController()->UseRunTimeDateTimeFormats())) {
    String text;
    if (cxGetDateFormat(ACalendar->ToDateTime(date), text, 0, u"MMMM")) return text;
  }
  if (date.Month < 1 || date.Month > 12) return {};
  return FormatSettings().LongMonthNames[static_cast<size_t>(date.Month - 1)];
}

String cxGetLocalMonthName(int32_t AYear, int32_t AMonth, TcxCustomCalendarTable* ACalendar) {
  if (cxIsGregorianCalendar(ACalendar) && cxFormatController()->UseRunTimeDateTimeFormats()) {
    if (AMonth < 1 || AMonth > 12) return {};
    return FormatSettings().LongMonthNames[static_cast<size_t>(AMonth - 1)];
  }
  if (!ACalendar->IsValidMonth(AYear, AMonth)) return {};
  return cxGetLocalMonthName(ACalendar->ToDateTime(AYear, AMonth, 1), ACalendar);
}

// --- Smart input -----------------------------------------------------------------------------

void cxLoadDateEditSmartInputWords() {
  for (int i = 0; i < cxDateEditSmartInputCount; ++i)
    scxDateEditSmartInput[i] = cxGetResourceString(kSmartInputStrings[i]);
}

String cxRegExprQuotedText(const String& AText) {
  String r;
  bool open = false;
  for (Char c : AText) {
    if (c == u'\'') {
      if (open) r += u'\'';
      open = false;
      r += u"\\'";
    } else {
      if (!open) r += u'\'';
      open = true;
      r += c;
    }
  }
  if (open) r += u'\'';
  return r;
}

void AddDateRegExprMaskSmartInput(String& AMask, bool ACanEnterTime) {
  cxLoadDateEditSmartInputWords();
  String r = u"(" + AMask + u")|(" + cxRegExprQuotedText(scxDateEditSmartInput[deiToday]);
  for (int i = deiYesterday; i <= deiNow; ++i) {
    if (i == deiNow && !ACanEnterTime) continue;
    r += u"|" + cxRegExprQuotedText(scxDateEditSmartInput[i]);
  }
  r += u")((\\+|-)\\d(\\d(\\d\\d?)?)?)?";
  AMask = r;
}

// --- Time zones --------------------------------------------------------------------------------

namespace {

constexpr const Char* kTimeZonesKeyNT = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";
constexpr const Char* kTimeZonesKey9x = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Time Zones";
// Years a stored daylight-saving table may cover; the platform cannot encode others.
constexpr int32_t kMinDSTYear = 1;
constexpr int32_t kMaxDSTYear = 9999;

bool ReadTZI(TRegistry* ARegistry, const String& AName, TcxTZIField& AValue) {
  if (ARegistry->GetDataType(AName) != rdBinary ||
      ARegistry->GetDataSize(AName) < static_cast<int>(sizeof(AValue)))
    return false;
  TBytes data(static_cast<size_t>(ARegistry->GetDataSize(AName)));
  if (ARegistry->ReadBinaryData(AName, data.data(), static_cast<int>(data.size())) <
      static_cast<int>(sizeof(AValue)))
    return false;
  std::memcpy(&AValue, data.data(), sizeof(AValue));
  return true;
}

bool ReadInt(TRegistry* ARegistry, const String& AName, int32_t& AValue) {
  if (ARegistry->GetDataType(AName) != rdInteger) return false;
  AValue = ARegistry->ReadInteger(AName);
  return true;
}

String ReadStr(TRegistry* ARegistry, const String& AName) {
  const TRegDataType t = ARegistry->GetDataType(AName);
  return t == rdString || t == rdExpandString ? ARegistry->ReadString(AName) : String();
}

std::vector<String> FKeyNames;  // the zone keys, parallel to FTimeZoneInformations

}  // namespace

void TdxTimeZoneHelper::InitTimeZoneInformation() {
  DoneTimeZoneInformation();
  TIME_ZONE_INFORMATION system;
  GetTimeZoneInformation(&system);
  TZInfoTocxTZInfo(system, FDefaultTimeZoneInfo);
  DYNAMIC_TIME_ZONE_INFORMATION dynamic;
  String keyName;
  if (dxGetDynamicTimeZoneInformation(dynamic)) {
    size_t n = 0;
    while (n < 128 && dynamic.TimeZoneKeyName[n]) ++n;
    keyName.assign(dynamic.TimeZoneKeyName, n);
  }

  TRegistry registry(KEY_READ);
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  const String root = IsWinNT() ? kTimeZonesKeyNT : kTimeZonesKey9x;
  if (registry.OpenKeyReadOnly(root) && registry.HasSubKeys()) {
    TStringList names;
    registry.GetKeyNames(&names);
    FTimeZoneInformations.resize(static_cast<size_t>(names.Count()));
    for (int i = 0; i < names.Count(); ++i) {
      FKeyNames.push_back(names[i]);
      TRegistry zone(KEY_READ);
      zone.SetRootKey(HKEY_LOCAL_MACHINE);
      if (zone.OpenKeyReadOnly(root + u"\\" + names[i]))
        ReadTimeZoneInfoFromRegistry(&zone, FTimeZoneInformations[static_cast<size_t>(i)]);
    }
  }

  FCurrentTimeZone = 0;
  if (!keyName.empty()) {
    for (size_t i = 0; i < FKeyNames.size(); ++i)
      if (SameText(FKeyNames[i], keyName)) {
        FCurrentTimeZone = static_cast<int32_t>(i);
        break;
      }
  } else {
    // Bias and standard name: the first 68 bytes of the system's record.
    constexpr size_t kCompared = offsetof(TIME_ZONE_INFORMATION, StandardDate);
    static_assert(kCompared == 68);
    for (size_t i = 0; i < FTimeZoneInformations.size(); ++i) {
      TIME_ZONE_INFORMATION zone;
      cxTZInfoToTZInfo(FTimeZoneInformations[i], zone);
      if (std::memcmp(&zone, &system, kCompared) == 0) FCurrentTimeZone = static_cast<int32_t>(i);
    }
  }
}

void TdxTimeZoneHelper::DoneTimeZoneInformation() {
  FTimeZoneInformations.clear();
  FKeyNames.clear();
  FCurrentTimeZone = 0;
}

void TdxTimeZoneHelper::ReadTimeZoneInfoFromRegistry(TRegistry* ARegistry, TcxTimeZoneInformation& AInfo) {
  if (ARegistry->ValueExists(u"Display")) AInfo.Display = ReadStr(ARegistry, u"Display");
  if (ARegistry->ValueExists(u"Std")) AInfo.StandardName = ReadStr(ARegistry, u"Std");
  if (ARegistry->ValueExists(u"Dlt")) AInfo.DaylightName = ReadStr(ARegistry, u"Dlt");
  if (ARegistry->ValueExists(u"MapID")) AInfo.MapId = ReadStr(ARegistry, u"MapID");
  ReadInt(ARegistry, u"Index", AInfo.Index);
  ReadTZI(ARegistry, u"TZI", AInfo.TZI);
  if (!ARegistry->HasSubKeys() || !ARegistry->OpenKeyReadOnly(u"Dynamic DST")) return;
  int32_t first = INT32_MAX, last = -1;
  ReadInt(ARegistry, u"FirstEntry", first);
  ReadInt(ARegistry, u"LastEntry", last);
  // Stored data decides the range: keep it to the years a date can have.
  first = std::max(first, kMinDSTYear);
  last = std::min(last, kMaxDSTYear);
  for (int32_t year = first; year <= last; ++year) {
    TcxTZIField tzi;
    if (!ReadTZI(ARegistry, IntToStr(year), tzi)) continue;
    try {
      AddDSTInfo(AInfo, year, tzi.StandardDate, tzi.DaylightDate);
    } catch (const EConvertError&) {
      // A transition that names no date of the year is left out.
    }
  }
}

void TdxTimeZoneHelper::AddDSTInfo(TcxTimeZoneInformation& AInfo, int32_t AYear,
                                   const SYSTEMTIME& AStandardDate, const SYSTEMTIME& ADaylightDate) {
  TcxDSTInfo info;
  info.Year = static_cast<uint16_t>(AYear);
  if (AStandardDate.wMonth != 0) {
    // Both are computed before the entry is added, so a bad record adds nothing.
    info.StartDate = CalculateTransitionDate(AYear, ADaylightDate);
    info.EndDate = CalculateTransitionDate(AYear, AStandardDate);
  }
  AInfo.DynamicDST.push_back(info);
}

TDateTime TdxTimeZoneHelper::CalculateTransitionDate(int32_t AYear, const SYSTEMTIME& ATime) {
  if (ATime.wMonth < 1 || ATime.wMonth > 12) throw EConvertError(u"Invalid argument to date encode");
  const TDateTime time = EncodeTime(ATime.wHour, ATime.wMinute, ATime.wSecond, ATime.wMilliseconds);
  if (ATime.wYear == AYear) return EncodeDate(AYear, ATime.wMonth, ATime.wDay) + time;
  int32_t day;
  if (ATime.wDay >= 1 && ATime.wDay <= 4) {
    const int32_t firstWeekDay = DayOfWeek(EncodeDate(AYear, ATime.wMonth, 1));  // 1 = Sunday
    day = ATime.wDayOfWeek - firstWeekDay + 2;
    if (day <= 0) day += 7;
    day += 7 * (ATime.wDay - 1);
  } else {
    day = DaysInAMonth(AYear, ATime.wMonth);
    const int32_t lastWeekDay = DayOfWeek(EncodeDate(AYear, ATime.wMonth, day)) - 1;  // 0 = Sunday
    day -= (lastWeekDay - ATime.wDayOfWeek + 7) % 7;
  }
  return EncodeDate(AYear, ATime.wMonth, day) + time;
}

void TdxTimeZoneHelper::cxTZInfoToTZInfo(const TcxTimeZoneInformation& ASource,
                                         TIME_ZONE_INFORMATION& ADest) {
  ADest = TIME_ZONE_INFORMATION();
  ADest.Bias = ASource.TZI.Bias;
  ADest.StandardBias = ASource.TZI.StandardBias;
  ADest.DaylightBias = ASource.TZI.DaylightBias;
  ADest.StandardDate = ASource.TZI.StandardDate;
  ADest.DaylightDate = ASource.TZI.DaylightDate;
  CopyName(ASource.StandardName, ADest.StandardName);
  CopyName(ASource.DaylightName, ADest.DaylightName);
}

void TdxTimeZoneHelper::TZInfoTocxTZInfo(const TIME_ZONE_INFORMATION& ASource,
                                         TcxTimeZoneInformation& ADest) {
  ADest.TZI.Bias = ASource.Bias;
  ADest.TZI.StandardBias = ASource.StandardBias;
  ADest.TZI.DaylightBias = ASource.DaylightBias;
  ADest.TZI.StandardDate = ASource.StandardDate;
  ADest.TZI.DaylightDate = ASource.DaylightDate;
  ADest.StandardName = NameOf(ASource.StandardName);
  ADest.DaylightName = NameOf(ASource.DaylightName);
}

int32_t TdxTimeZoneHelper::TimeZoneCount() {
  return static_cast<int32_t>(FTimeZoneInformations.size());
}

const TcxTimeZoneInformation& TdxTimeZoneHelper::TimeZoneInformations(int32_t AIndex) {
  return FTimeZoneInformations.at(static_cast<size_t>(AIndex));
}

int32_t TdxTimeZoneHelper::CurrentTimeZone() {
  return FCurrentTimeZone;
}

const TcxTimeZoneInformation& TdxTimeZoneHelper::DefaultTimeZoneInfo() {
  return FDefaultTimeZoneInfo;
}

bool dxGetDynamicTimeZoneInformation(DYNAMIC_TIME_ZONE_INFORMATION& AInfo) {
  using TGetDynamicTimeZoneInformation = DWORD (*)(DYNAMIC_TIME_ZONE_INFORMATION*);
  HMODULE kernel = GetModuleHandleW(u"kernel32.dll");
  if (!kernel) return false;
  auto proc = reinterpret_cast<TGetDynamicTimeZoneInformation>(
      GetProcAddress(kernel, "GetDynamicTimeZoneInformation"));
  return proc && proc(&AInfo) != TIME_ZONE_ID_INVALID;
}

// --- Unit ------------------------------------------------------------------------------------

namespace cxDateUtils {

void Initialize() {
  FStartOfWeek = dxGetLocalStartOfWeek();
  FAssignedStartOfWeek = false;
  cxCreateCalendarList();
  dxUnitsLoader()->AddUnit(&TdxTimeZoneHelper::InitTimeZoneInformation,
                           &TdxTimeZoneHelper::DoneTimeZoneInformation);
}

void Finalize() {
  dxUnitsLoader()->RemoveUnit(&TdxTimeZoneHelper::DoneTimeZoneInformation);
  cxFreeCalendarList();
  for (String& s : scxDateEditSmartInput) s.clear();
  FDefaultTimeZoneInfo = TcxTimeZoneInformation();
}

}  // namespace cxDateUtils

}  // namespace qd
