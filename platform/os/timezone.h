#pragma once
// Time zones (kernel32): the current zone's bias and daylight-saving rules, and the system's
// zone list in the shape of the registry's "Time Zones" key, computed from the tz database
// through ICU.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/types.h"
#include "platform/os/nls.h"
#include "platform/os/wintypes.h"

namespace qd {

using BOOLEAN = uint8_t;

// Bias: minutes to add to local time to get UTC. A transition date with wYear 0 is a rule:
// wDay 1..4 is the n-th wDayOfWeek of wMonth, 5 the last one, at the local time given.
struct TIME_ZONE_INFORMATION {
  LONG Bias = 0;
  WCHAR StandardName[32] = {};
  SYSTEMTIME StandardDate;
  LONG StandardBias = 0;
  WCHAR DaylightName[32] = {};
  SYSTEMTIME DaylightDate;
  LONG DaylightBias = 0;
};
static_assert(sizeof(TIME_ZONE_INFORMATION) == 172);

struct DYNAMIC_TIME_ZONE_INFORMATION {
  LONG Bias = 0;
  WCHAR StandardName[32] = {};
  SYSTEMTIME StandardDate;
  LONG StandardBias = 0;
  WCHAR DaylightName[32] = {};
  SYSTEMTIME DaylightDate;
  LONG DaylightBias = 0;
  WCHAR TimeZoneKeyName[128] = {};
  BOOLEAN DynamicDaylightTimeDisabled = 0;
};

constexpr DWORD TIME_ZONE_ID_UNKNOWN = 0;
constexpr DWORD TIME_ZONE_ID_STANDARD = 1;
constexpr DWORD TIME_ZONE_ID_DAYLIGHT = 2;
constexpr DWORD TIME_ZONE_ID_INVALID = 0xFFFFFFFF;

// The current zone, its rules for the current year; TIME_ZONE_ID_UNKNOWN for a zone without
// daylight saving, else whether daylight time is in effect now.
DWORD GetTimeZoneInformation(TIME_ZONE_INFORMATION* lpTimeZoneInformation);
// The same with the zone's registry key name (kernel32 exports it by name).
DWORD GetDynamicTimeZoneInformation(DYNAMIC_TIME_ZONE_INFORMATION* pTimeZoneInformation);

namespace os {

// One zone as the registry's "Time Zones" key holds it: the values "Display", "Std", "Dlt"
// and the 44-byte "TZI" (Bias, StandardBias, DaylightBias, StandardDate, DaylightDate), and,
// when the rules changed within the years asked for, one TZI per year of "Dynamic DST".
struct TimeZoneRecord {
  String KeyName;
  String Display;
  String Std;
  String Dlt;
  std::string IanaID;
  TBytes TZI;
  int32_t FirstEntry = 0;
  int32_t LastEntry = -1;
  std::vector<TBytes> DynamicDST;  // FirstEntry .. LastEntry
};

// Every zone that has a Windows identifier, in key-name order; the main TZI holds the rules of
// ACurrentYear.
std::vector<TimeZoneRecord> SystemTimeZones(int32_t AFirstYear, int32_t ALastYear, int32_t ACurrentYear);
// One zone by its Windows key name or IANA identifier; false when unknown.
bool SystemTimeZone(const String& AName, int32_t AFirstYear, int32_t ALastYear, int32_t ACurrentYear,
                    TimeZoneRecord& ARecord);

// Tests: the current zone as an IANA identifier ("America/Sao_Paulo"); "" restores the
// host's zone.
void SetTimeZoneForTesting(const std::string& AIanaID);

}  // namespace os

}  // namespace qd
