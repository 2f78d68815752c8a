#include "platform/classes/registry_timezones.h"

#include "platform/base/format.h"
#include "platform/base/strings.h"
#include "platform/classes/registry.h"
#include "platform/os/timezone.h"

namespace qd {

void RegistryAddSystemTimeZones(int32_t AFirstYear, int32_t ALastYear, int32_t ACurrentYear) {
  if (ACurrentYear == 0) {
    int m, d;
    DecodeDate(Date(), ACurrentYear, m, d);
  }
  const String root = kRegistryTimeZonesKey;
  for (const os::TimeZoneRecord& zone : os::SystemTimeZones(AFirstYear, ALastYear, ACurrentYear)) {
    const String key = root + u"\\" + zone.KeyName;
    RegistrySetString(HKEY_LOCAL_MACHINE, key, u"Display", zone.Display);
    RegistrySetString(HKEY_LOCAL_MACHINE, key, u"Std", zone.Std);
    RegistrySetString(HKEY_LOCAL_MACHINE, key, u"Dlt", zone.Dlt);
    RegistrySetValue(HKEY_LOCAL_MACHINE, key, u"TZI", REG_BINARY, zone.TZI);
    if (zone.DynamicDST.empty()) continue;
    const String dynamic = key + u"\\Dynamic DST";
    RegistrySetDWORD(HKEY_LOCAL_MACHINE, dynamic, u"FirstEntry", static_cast<uint32_t>(zone.FirstEntry));
    RegistrySetDWORD(HKEY_LOCAL_MACHINE, dynamic, u"LastEntry", static_cast<uint32_t>(zone.LastEntry));
    for (size_t i = 0; i < zone.DynamicDST.size(); ++i)
      RegistrySetValue(HKEY_LOCAL_MACHINE, dynamic, IntToStr(zone.FirstEntry + static_cast<int32_t>(i)),
                       REG_BINARY, zone.DynamicDST[i]);
  }
}

}  // namespace qd
