// Regional-settings data from arbitrary bytes: date-time format strings go through the format
// controller's parser and mask builders, the date-to-text formatter and the system's date
// pictures; 44-byte daylight-saving records through the transition computation.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/base/exceptions.h"
#include "platform/forms/forms_init.h"
#include "platform/os/nls.h"
#include "ui/core/cxDateUtils.h"
#include "ui/core/cxFormats.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  qd::forms::Initialize();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qd;
  if (size >= 1 + sizeof(TcxTZIField)) {
    // A stored daylight-saving record for the year the first byte picks.
    TcxTZIField tzi;
    std::memcpy(&tzi, data + 1, sizeof(tzi));
    TcxTimeZoneInformation zone;
    try {
      TdxTimeZoneHelper::AddDSTInfo(zone, 1990 + data[0], tzi.StandardDate, tzi.DaylightDate);
    } catch (const EConvertError&) {
      // a record that names no date of the year
    }
  }
  const String format(reinterpret_cast<const Char*>(data), size / sizeof(Char));
  TcxFormatController* controller = cxFormatController();
  TcxDateTimeFormatInfo info;
  controller->GetDateTimeFormatInfo(format, info);
  const int32_t length = controller->GetDateTimeStandardMaskStringLength(info);
  for (int32_t pos = 0; pos <= length + 1; ++pos) {
    TcxDateTimeFormatItemInfo item;
    if (controller->GetDateTimeFormatItemStandardMaskInfo(info, pos, item) &&
        (item.ItemZoneStart > pos || item.ItemZoneStart + item.ItemZoneLength <= pos))
      std::abort();
  }
  controller->GetStandardMask(info, dtmkDateTime);
  controller->GetRegExprMask(info, dtmkDateTime);
  controller->GetMaskedEditDisplayFormat(info);
  cxDateToStrByFormat(45000.5, format, size % 2 ? Char(0) : Char(u'-'));
  SYSTEMTIME st;
  st.wYear = 2024;
  st.wMonth = 2;
  st.wDay = 29;
  Char buffer[512];
  GetDateFormatW(0x0416, 0, &st, format.c_str(), buffer, 512);
  return 0;
}
