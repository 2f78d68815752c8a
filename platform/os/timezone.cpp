// Time zones from the tz database through ICU, described with the original platform's
// records: rules as "n-th weekday of a month at a local time", biases in minutes west of UTC.
#include "platform/os/timezone.h"

#include <unicode/basictz.h>
#include <unicode/locid.h>
#include <unicode/strenum.h>
#include <unicode/timezone.h>
#include <unicode/tzfmt.h>
#include <unicode/tznames.h>
#include <unicode/tzrule.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <set>

#include "platform/base/format.h"
#include "platform/base/strings.h"

namespace qd {
namespace os {
namespace {

std::mutex gLock;
std::string gTestZone;

String FromIcu(const icu::UnicodeString& s) {
  return String(reinterpret_cast<const char16_t*>(s.getBuffer()), static_cast<size_t>(s.length()));
}

icu::UnicodeString ToIcu(const std::string& s) {
  return icu::UnicodeString::fromUTF8(s);
}

std::string ToUtf8(const icu::UnicodeString& s) {
  std::string r;
  s.toUTF8String(r);
  return r;
}

std::string CurrentIanaID() {
  {
    std::lock_guard g(gLock);
    if (!gTestZone.empty()) return gTestZone;
  }
  std::unique_ptr<icu::TimeZone> tz(icu::TimeZone::detectHostTimeZone());
  icu::UnicodeString id;
  if (tz) tz->getID(id);
  std::string r = ToUtf8(id);
  return r.empty() || r == "Etc/Unknown" ? "Etc/UTC" : r;
}

String WindowsIDOf(const std::string& iana) {
  UErrorCode err = U_ZERO_ERROR;
  icu::UnicodeString win;
  icu::TimeZone::getWindowsID(ToIcu(iana), win, err);
  return U_SUCCESS(err) ? FromIcu(win) : String();
}

std::string IanaIDOf(const String& windowsID) {
  UErrorCode err = U_ZERO_ERROR;
  icu::UnicodeString iana;
  icu::TimeZone::getIDForWindowsID(icu::UnicodeString(reinterpret_cast<const UChar*>(windowsID.data()),
                                                      static_cast<int32_t>(windowsID.size())),
                                   "001", iana, err);
  return U_SUCCESS(err) ? ToUtf8(iana) : std::string();
}

// The 44-byte registry layout.
struct Tzi {
  int32_t Bias = 0;
  int32_t StandardBias = 0;
  int32_t DaylightBias = 0;
  SYSTEMTIME StandardDate;
  SYSTEMTIME DaylightDate;
  bool operator==(const Tzi& o) const { return std::memcmp(this, &o, sizeof(Tzi)) == 0; }
};
static_assert(sizeof(Tzi) == 44);

TBytes ToBytes(const Tzi& t) {
  TBytes b(sizeof(Tzi));
  std::memcpy(b.data(), &t, sizeof(Tzi));
  return b;
}

// A yearly transition rule as a SYSTEMTIME; AWallOffset moves the rule's time to the local
// wall time in effect before the transition.
SYSTEMTIME RuleToSystemTime(const icu::AnnualTimeZoneRule& rule, int32_t year, int32_t rawOffset,
                            int32_t savingsBefore) {
  SYSTEMTIME st;
  const icu::DateTimeRule* r = rule.getRule();
  const int month = r->getRuleMonth() + 1;
  const int monthLength = DaysInAMonth(2001, month);  // a common year
  st.wMonth = static_cast<WORD>(month);
  st.wDayOfWeek = static_cast<WORD>(std::max(0, r->getRuleDayOfWeek() - 1));
  const int dom = r->getRuleDayOfMonth();
  switch (r->getDateRuleType()) {
    case icu::DateTimeRule::DOW: {
      int week = r->getRuleWeekInMonth();
      st.wDay = static_cast<WORD>(week < 0 || week > 4 ? 5 : week);
      break;
    }
    case icu::DateTimeRule::DOW_GEQ_DOM:
      st.wDay = static_cast<WORD>(
          dom + 6 >= monthLength && (dom - 1) % 7 != 0 ? 5 : std::min(4, (dom - 1) / 7 + 1));
      break;
    case icu::DateTimeRule::DOW_LEQ_DOM:
      st.wDay = static_cast<WORD>(dom >= monthLength ? 5 : std::clamp((dom - 1) / 7, 1, 4));
      break;
    case icu::DateTimeRule::DOM:
    default:
      // A fixed day: only expressible as an absolute date of the year.
      st.wYear = static_cast<WORD>(year);
      st.wDay = static_cast<WORD>(dom);
      break;
  }
  int64_t ms = r->getRuleMillisInDay();
  switch (r->getTimeRuleType()) {
    case icu::DateTimeRule::STANDARD_TIME:
      ms += savingsBefore;
      break;
    case icu::DateTimeRule::UTC_TIME:
      ms += rawOffset + savingsBefore;
      break;
    default:
      break;
  }
  ms = std::clamp<int64_t>(ms, 0, 86399999);
  st.wHour = static_cast<WORD>(ms / 3600000);
  st.wMinute = static_cast<WORD>(ms / 60000 % 60);
  st.wSecond = static_cast<WORD>(ms / 1000 % 60);
  st.wMilliseconds = static_cast<WORD>(ms % 1000);
  return st;
}

// The rules of a zone in the middle of a year.
Tzi RulesForYear(const icu::BasicTimeZone& zone, int32_t year) {
  Tzi t;
  UErrorCode err = U_ZERO_ERROR;
  icu::InitialTimeZoneRule* initial = nullptr;
  icu::AnnualTimeZoneRule* stdRule = nullptr;
  icu::AnnualTimeZoneRule* dstRule = nullptr;
  const double mid = (EncodeDate(year, 7, 1) - 25569.0) * 86400000.0;
  zone.getSimpleRulesNear(mid, initial, stdRule, dstRule, err);
  std::unique_ptr<icu::InitialTimeZoneRule> i(initial);
  std::unique_ptr<icu::AnnualTimeZoneRule> s(stdRule), d(dstRule);
  if (U_FAILURE(err) || !initial) {
    t.Bias = -zone.getRawOffset() / 60000;
    return t;
  }
  if (s && d) {
    const int32_t raw = s->getRawOffset();
    t.Bias = -raw / 60000;
    t.DaylightBias = -d->getDSTSavings() / 60000;
    t.StandardDate = RuleToSystemTime(*s, year, raw, d->getDSTSavings());
    t.DaylightDate = RuleToSystemTime(*d, year, raw, 0);
  } else {
    t.Bias = -initial->getRawOffset() / 60000;
  }
  return t;
}

String OffsetText(int32_t bias) {
  const int32_t minutes = -bias;
  const int32_t a = minutes < 0 ? -minutes : minutes;
  String r = minutes < 0 ? u"(UTC-" : u"(UTC+";
  String h = IntToStr(a / 60), m = IntToStr(a % 60);
  if (h.size() < 2) h.insert(h.begin(), u'0');
  if (m.size() < 2) m.insert(m.begin(), u'0');
  return r + h + u":" + m + u")";
}

// The zone's generic English name ("Eastern Time"), else its exemplar city ("London").
String PlaceName(const std::string& iana) {
  UErrorCode err = U_ZERO_ERROR;
  std::unique_ptr<icu::TimeZoneNames> names(
      icu::TimeZoneNames::createInstance(icu::Locale::getEnglish(), err));
  icu::UnicodeString place;
  if (U_SUCCESS(err) && names) {
    const UDate now = static_cast<UDate>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                             std::chrono::system_clock::now().time_since_epoch())
                                             .count());
    names->getDisplayName(ToIcu(iana), UTZNM_LONG_GENERIC, now, place);
    if (place.isEmpty()) names->getExemplarLocationName(ToIcu(iana), place);
  }
  if (place.isEmpty()) return Utf8ToString(iana);
  return FromIcu(place);
}

bool MakeRecord(const String& windowsID, const std::string& iana, int32_t firstYear, int32_t lastYear,
                int32_t currentYear, TimeZoneRecord& rec) {
  std::unique_ptr<icu::TimeZone> tz(icu::TimeZone::createTimeZone(ToIcu(iana)));
  auto* zone = dynamic_cast<icu::BasicTimeZone*>(tz.get());
  if (!zone || *tz == icu::TimeZone::getUnknown()) return false;
  rec = TimeZoneRecord();
  rec.KeyName = windowsID;
  rec.IanaID = iana;
  rec.Std = windowsID;
  rec.Dlt = StringReplaceAll(windowsID, u"Standard", u"Daylight");
  if (rec.Dlt == rec.Std) rec.Dlt = windowsID + u" Daylight";
  const Tzi current = RulesForYear(*zone, currentYear);
  rec.TZI = ToBytes(current);
  rec.Display = windowsID == u"UTC" ? String(u"(UTC) Coordinated Universal Time")
                                    : OffsetText(current.Bias) + u" " + PlaceName(iana);
  std::vector<Tzi> years;
  bool changes = false;
  for (int32_t y = firstYear; y <= lastYear; ++y) {
    years.push_back(RulesForYear(*zone, y));
    if (!(years.back() == years.front())) changes = true;
  }
  if (changes) {
    rec.FirstEntry = firstYear;
    rec.LastEntry = lastYear;
    for (const Tzi& t : years) rec.DynamicDST.push_back(ToBytes(t));
  }
  return true;
}

void CopyName(const String& s, WCHAR (&out)[32]) {
  std::fill(std::begin(out), std::end(out), u'\0');
  std::copy_n(s.begin(), std::min<size_t>(s.size(), 31), out);
}

int32_t YearOfNow() {
  int y, m, d;
  DecodeDate(Now(), y, m, d);
  return y;
}

}  // namespace

std::vector<TimeZoneRecord> SystemTimeZones(int32_t AFirstYear, int32_t ALastYear, int32_t ACurrentYear) {
  std::set<String> ids;
  UErrorCode err = U_ZERO_ERROR;
  std::unique_ptr<icu::StringEnumeration> e(
      icu::TimeZone::createTimeZoneIDEnumeration(UCAL_ZONE_TYPE_CANONICAL, nullptr, nullptr, err));
  if (U_SUCCESS(err) && e) {
    while (const icu::UnicodeString* id = e->snext(err)) {
      if (U_FAILURE(err)) break;
      String win = WindowsIDOf(ToUtf8(*id));
      if (!win.empty()) ids.insert(win);
    }
  }
  std::vector<TimeZoneRecord> result;
  for (const String& win : ids) {
    TimeZoneRecord rec;
    std::string iana = IanaIDOf(win);
    if (!iana.empty() && MakeRecord(win, iana, AFirstYear, ALastYear, ACurrentYear, rec))
      result.push_back(std::move(rec));
  }
  return result;
}

bool SystemTimeZone(const String& AName, int32_t AFirstYear, int32_t ALastYear, int32_t ACurrentYear,
                    TimeZoneRecord& ARecord) {
  std::string iana = IanaIDOf(AName);
  String win = AName;
  if (iana.empty()) {
    iana = StringToUtf8(AName);
    win = WindowsIDOf(iana);
    if (win.empty()) return false;
  }
  return MakeRecord(win, iana, AFirstYear, ALastYear, ACurrentYear, ARecord);
}

void SetTimeZoneForTesting(const std::string& AIanaID) {
  std::lock_guard g(gLock);
  gTestZone = AIanaID;
}

}  // namespace os

namespace {

DWORD FillCurrent(DYNAMIC_TIME_ZONE_INFORMATION& out) {
  const std::string iana = os::CurrentIanaID();
  std::unique_ptr<icu::TimeZone> tz(icu::TimeZone::createTimeZone(os::ToIcu(iana)));
  auto* zone = dynamic_cast<icu::BasicTimeZone*>(tz.get());
  String win = os::WindowsIDOf(iana);
  if (win.empty()) win = u"UTC";
  out = DYNAMIC_TIME_ZONE_INFORMATION();
  os::Tzi t;
  if (zone) t = os::RulesForYear(*zone, os::YearOfNow());
  out.Bias = t.Bias;
  out.StandardBias = t.StandardBias;
  out.DaylightBias = t.DaylightBias;
  out.StandardDate = t.StandardDate;
  out.DaylightDate = t.DaylightDate;
  os::CopyName(win, out.StandardName);
  String dlt = StringReplaceAll(win, u"Standard", u"Daylight");
  os::CopyName(dlt == win ? win + u" Daylight" : dlt, out.DaylightName);
  std::copy_n(win.begin(), std::min<size_t>(win.size(), 127), out.TimeZoneKeyName);
  if (t.StandardDate.wMonth == 0 || !zone) return TIME_ZONE_ID_UNKNOWN;
  const double nowMs = static_cast<double>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                               std::chrono::system_clock::now().time_since_epoch())
                                               .count());
  UErrorCode err = U_ZERO_ERROR;
  const bool daylight = zone->inDaylightTime(nowMs, err);
  return U_SUCCESS(err) && daylight ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD;
}

}  // namespace

DWORD GetTimeZoneInformation(TIME_ZONE_INFORMATION* lpTimeZoneInformation) {
  if (!lpTimeZoneInformation) return TIME_ZONE_ID_INVALID;
  DYNAMIC_TIME_ZONE_INFORMATION d;
  DWORD r = FillCurrent(d);
  TIME_ZONE_INFORMATION& t = *lpTimeZoneInformation;
  t.Bias = d.Bias;
  std::copy(std::begin(d.StandardName), std::end(d.StandardName), t.StandardName);
  t.StandardDate = d.StandardDate;
  t.StandardBias = d.StandardBias;
  std::copy(std::begin(d.DaylightName), std::end(d.DaylightName), t.DaylightName);
  t.DaylightDate = d.DaylightDate;
  t.DaylightBias = d.DaylightBias;
  return r;
}

DWORD GetDynamicTimeZoneInformation(DYNAMIC_TIME_ZONE_INFORMATION* pTimeZoneInformation) {
  if (!pTimeZoneInformation) return TIME_ZONE_ID_INVALID;
  return FillCurrent(*pTimeZoneInformation);
}

}  // namespace qd
