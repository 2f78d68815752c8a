#pragma once
// The registry's time-zone list, which the system keeps under HKEY_LOCAL_MACHINE: filled from
// the tz database (platform/os/timezone.h) when the platform starts.
#include <cstdint>

#include "platform/base/types.h"

namespace qd {

// The key that holds one sub-key per zone.
inline constexpr const Char* kRegistryTimeZonesKey =
    u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";

// Adds every zone with its "Display", "Std", "Dlt" and "TZI" values (the rules of ACurrentYear)
// and, for zones whose rules changed between AFirstYear and ALastYear, a "Dynamic DST" sub-key
// with "FirstEntry", "LastEntry" and one TZI per year. ACurrentYear 0 is this year.
void RegistryAddSystemTimeZones(int32_t AFirstYear = 2000, int32_t ALastYear = 2037,
                                int32_t ACurrentYear = 0);

}  // namespace qd
