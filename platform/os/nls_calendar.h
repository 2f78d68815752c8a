#pragma once
// Calendar information of the national-language functions (GetCalendarInfoW) and the
// calendar identifiers of LOCALE_ICALENDARTYPE.
#include "platform/os/nls.h"

namespace qd {

using CALID = DWORD;
using CALTYPE = DWORD;

// Calendar identifiers (CAL_GREGORIAN and CAL_GREGORIAN_US are in nls.h).
constexpr CALID CAL_JAPAN = 3;
constexpr CALID CAL_TAIWAN = 4;
constexpr CALID CAL_KOREA = 5;
constexpr CALID CAL_HIJRI = 6;
constexpr CALID CAL_THAI = 7;
constexpr CALID CAL_HEBREW = 8;
constexpr CALID CAL_GREGORIAN_ME_FRENCH = 9;
constexpr CALID CAL_GREGORIAN_ARABIC = 10;
constexpr CALID CAL_GREGORIAN_XLIT_ENGLISH = 11;
constexpr CALID CAL_GREGORIAN_XLIT_FRENCH = 12;
constexpr CALID CAL_UMALQURA = 23;
constexpr CALID ENUM_ALL_CALENDARS = 0xFFFFFFFF;

// GetCalendarInfoW types and flags.
constexpr CALTYPE CAL_NOUSEROVERRIDE = LOCALE_NOUSEROVERRIDE;
constexpr CALTYPE CAL_USE_CP_ACP = LOCALE_USE_CP_ACP;
constexpr CALTYPE CAL_RETURN_NUMBER = LOCALE_RETURN_NUMBER;
constexpr CALTYPE CAL_ICALINTVALUE = 0x00000001;
constexpr CALTYPE CAL_ITWODIGITYEARMAX = 0x00000030;

// Calendar information of a locale. With CAL_RETURN_NUMBER the value goes to *lpValue
// (lpCalData must be null and cchData 0) and the result is 2 (the size of a DWORD in
// characters); otherwise the text is written as GetLocaleInfoW does. 0 on failure
// (unknown locale, calendar or type; buffer too small), with the last error set.
// Supported: CAL_ITWODIGITYEARMAX and CAL_ICALINTVALUE, for the calendars 1 to 12. The two-digit-year maximum
// is the user's setting when one is made (see below), else the calendar's default: 2049 for the Gregorian
// calendars, 99 for the Japanese and Taiwan era calendars, 4382 Korean, 2592 Thai, 1471 Hijri, 5810 Hebrew.
int GetCalendarInfoW(LCID Locale, CALID Calendar, CALTYPE CalType, WCHAR* lpCalData, int cchData,
                     DWORD* lpValue);

// The user's regional setting "interpret a two-digit year as a year between M - 99 and M"
// for one calendar; 0 restores the default. CAL_NOUSEROVERRIDE reads ignore it.
void SetCalendarTwoDigitYearMax(CALID Calendar, DWORD AValue);

}  // namespace qd
