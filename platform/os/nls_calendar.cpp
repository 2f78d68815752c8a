// Calendar information: the two-digit-year window of each calendar and the calendar's own
// identifier, with the user's regional settings over the calendars' defaults.
#include "platform/os/nls_calendar.h"

#include <algorithm>
#include <array>
#include <atomic>

#include "platform/base/strings.h"
#include "platform/os/kernel.h"

namespace qd {
namespace {

constexpr CALID kLastCalendar = CAL_GREGORIAN_XLIT_FRENCH;

// The user's settings by calendar identifier; 0 = none.
std::array<std::atomic<DWORD>, kLastCalendar + 1> gTwoDigitYearMax{};

DWORD DefaultTwoDigitYearMax(CALID Calendar) {
  switch (Calendar) {
    case CAL_JAPAN:
    case CAL_TAIWAN:
      return 99;  // era years
    case CAL_KOREA:
      return 2049 + 2333;
    case CAL_THAI:
      return 2049 + 543;
    case CAL_HIJRI:
      return 1471;
    case CAL_HEBREW:
      return 5810;
    default:
      return 2049;
  }
}

}  // namespace

void SetCalendarTwoDigitYearMax(CALID Calendar, DWORD AValue) {
  if (Calendar >= 1 && Calendar <= kLastCalendar) gTwoDigitYearMax[Calendar] = AValue;
}

int GetCalendarInfoW(LCID Locale, CALID Calendar, CALTYPE CalType, WCHAR* lpCalData, int cchData,
                     DWORD* lpValue) {
  // An unknown locale has no calendar type.
  if (GetLocaleInfoW(Locale, LOCALE_ICALENDARTYPE, nullptr, 0) == 0 || Calendar < 1 ||
      Calendar > kLastCalendar || cchData < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const CALTYPE type = CalType & ~(CAL_NOUSEROVERRIDE | CAL_USE_CP_ACP | CAL_RETURN_NUMBER);
  DWORD value;
  switch (type) {
    case CAL_ITWODIGITYEARMAX: {
      DWORD user = (CalType & CAL_NOUSEROVERRIDE) ? 0 : gTwoDigitYearMax[Calendar].load();
      value = user ? user : DefaultTwoDigitYearMax(Calendar);
      break;
    }
    case CAL_ICALINTVALUE:
      value = Calendar;
      break;
    default:
      SetLastError(ERROR_INVALID_FLAGS);
      return 0;
  }
  if (CalType & CAL_RETURN_NUMBER) {
    if (lpCalData || cchData != 0 || !lpValue) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    *lpValue = value;
    return static_cast<int>(sizeof(DWORD) / sizeof(WCHAR));
  }
  const String text = IntToStr(value);
  const int need = static_cast<int>(text.size()) + 1;
  if (cchData == 0) return need;
  if (!lpCalData || cchData < need) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::copy(text.begin(), text.end(), lpCalData);
  lpCalData[text.size()] = 0;
  return need;
}

}  // namespace qd
