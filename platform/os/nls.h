#pragma once
// National-language support (kernel32): locale identifiers and information, string
// comparison and character classification.
#include <cstdint>

#include "platform/base/format.h"
#include "platform/os/wintypes.h"

namespace qd {

using LCID = DWORD;
using LCTYPE = DWORD;
using LANGID = WORD;

constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCID LOCALE_INVARIANT = 0x007F;
constexpr LCID LOCALE_NEUTRAL = 0x0000;
constexpr LCID LOCALE_CUSTOM_DEFAULT = 0x0C00;
constexpr LCID LOCALE_CUSTOM_UNSPECIFIED = 0x1000;
constexpr LCID LOCALE_CUSTOM_UI_DEFAULT = 0x1400;

inline constexpr const WCHAR* LOCALE_NAME_INVARIANT = u"";
inline constexpr const WCHAR* LOCALE_NAME_USER_DEFAULT = nullptr;
inline constexpr const WCHAR* LOCALE_NAME_SYSTEM_DEFAULT = u"!x-sys-default-locale";
constexpr int LOCALE_NAME_MAX_LENGTH = 85;

// GetLocaleInfo types.
constexpr LCTYPE LOCALE_NOUSEROVERRIDE = 0x80000000;
constexpr LCTYPE LOCALE_USE_CP_ACP = 0x40000000;
constexpr LCTYPE LOCALE_RETURN_NUMBER = 0x20000000;
constexpr LCTYPE LOCALE_ILANGUAGE = 0x0001;
constexpr LCTYPE LOCALE_SLANGUAGE = 0x0002;
constexpr LCTYPE LOCALE_SLOCALIZEDDISPLAYNAME = 0x0002;
constexpr LCTYPE LOCALE_SENGLANGUAGE = 0x1001;
constexpr LCTYPE LOCALE_SENGLISHLANGUAGENAME = 0x1001;
constexpr LCTYPE LOCALE_SABBREVLANGNAME = 0x0003;
constexpr LCTYPE LOCALE_SNATIVELANGNAME = 0x0004;
constexpr LCTYPE LOCALE_SNATIVELANGUAGENAME = 0x0004;
constexpr LCTYPE LOCALE_ICOUNTRY = 0x0005;
constexpr LCTYPE LOCALE_SCOUNTRY = 0x0006;
constexpr LCTYPE LOCALE_SLOCALIZEDCOUNTRYNAME = 0x0006;
constexpr LCTYPE LOCALE_SENGCOUNTRY = 0x1002;
constexpr LCTYPE LOCALE_SENGLISHCOUNTRYNAME = 0x1002;
constexpr LCTYPE LOCALE_SABBREVCTRYNAME = 0x0007;
constexpr LCTYPE LOCALE_SNATIVECTRYNAME = 0x0008;
constexpr LCTYPE LOCALE_SNATIVECOUNTRYNAME = 0x0008;
constexpr LCTYPE LOCALE_IDEFAULTLANGUAGE = 0x0009;
constexpr LCTYPE LOCALE_IDEFAULTCOUNTRY = 0x000A;
constexpr LCTYPE LOCALE_IDEFAULTCODEPAGE = 0x000B;
constexpr LCTYPE LOCALE_IDEFAULTANSICODEPAGE = 0x1004;
constexpr LCTYPE LOCALE_IDEFAULTMACCODEPAGE = 0x1011;
constexpr LCTYPE LOCALE_SLIST = 0x000C;
constexpr LCTYPE LOCALE_IMEASURE = 0x000D;
constexpr LCTYPE LOCALE_SDECIMAL = 0x000E;
constexpr LCTYPE LOCALE_STHOUSAND = 0x000F;
constexpr LCTYPE LOCALE_SGROUPING = 0x0010;
constexpr LCTYPE LOCALE_IDIGITS = 0x0011;
constexpr LCTYPE LOCALE_ILZERO = 0x0012;
constexpr LCTYPE LOCALE_INEGNUMBER = 0x1010;
constexpr LCTYPE LOCALE_SNATIVEDIGITS = 0x0013;
constexpr LCTYPE LOCALE_SCURRENCY = 0x0014;
constexpr LCTYPE LOCALE_SINTLSYMBOL = 0x0015;
constexpr LCTYPE LOCALE_SMONDECIMALSEP = 0x0016;
constexpr LCTYPE LOCALE_SMONTHOUSANDSEP = 0x0017;
constexpr LCTYPE LOCALE_SMONGROUPING = 0x0018;
constexpr LCTYPE LOCALE_ICURRDIGITS = 0x0019;
constexpr LCTYPE LOCALE_IINTLCURRDIGITS = 0x001A;
constexpr LCTYPE LOCALE_ICURRENCY = 0x001B;
constexpr LCTYPE LOCALE_INEGCURR = 0x001C;
constexpr LCTYPE LOCALE_SDATE = 0x001D;
constexpr LCTYPE LOCALE_STIME = 0x001E;
constexpr LCTYPE LOCALE_SSHORTDATE = 0x001F;
constexpr LCTYPE LOCALE_SLONGDATE = 0x0020;
constexpr LCTYPE LOCALE_STIMEFORMAT = 0x1003;
constexpr LCTYPE LOCALE_IDATE = 0x0021;
constexpr LCTYPE LOCALE_ILDATE = 0x0022;
constexpr LCTYPE LOCALE_ITIME = 0x0023;
constexpr LCTYPE LOCALE_ITIMEMARKPOSN = 0x1005;
constexpr LCTYPE LOCALE_ICENTURY = 0x0024;
constexpr LCTYPE LOCALE_ITLZERO = 0x0025;
constexpr LCTYPE LOCALE_IDAYLZERO = 0x0026;
constexpr LCTYPE LOCALE_IMONLZERO = 0x0027;
constexpr LCTYPE LOCALE_S1159 = 0x0028;
constexpr LCTYPE LOCALE_S2359 = 0x0029;
constexpr LCTYPE LOCALE_ICALENDARTYPE = 0x1009;
constexpr LCTYPE LOCALE_IOPTIONALCALENDAR = 0x100B;
constexpr LCTYPE LOCALE_IFIRSTDAYOFWEEK = 0x100C;
constexpr LCTYPE LOCALE_IFIRSTWEEKOFYEAR = 0x100D;
constexpr LCTYPE LOCALE_SDAYNAME1 = 0x002A;  // Monday ... LOCALE_SDAYNAME7 Sunday
constexpr LCTYPE LOCALE_SDAYNAME7 = 0x0030;
constexpr LCTYPE LOCALE_SABBREVDAYNAME1 = 0x0031;
constexpr LCTYPE LOCALE_SABBREVDAYNAME7 = 0x0037;
constexpr LCTYPE LOCALE_SMONTHNAME1 = 0x0038;  // ... LOCALE_SMONTHNAME12 0x0043
constexpr LCTYPE LOCALE_SMONTHNAME12 = 0x0043;
constexpr LCTYPE LOCALE_SMONTHNAME13 = 0x100E;
constexpr LCTYPE LOCALE_SABBREVMONTHNAME1 = 0x0044;
constexpr LCTYPE LOCALE_SABBREVMONTHNAME12 = 0x004F;
constexpr LCTYPE LOCALE_SABBREVMONTHNAME13 = 0x100F;
constexpr LCTYPE LOCALE_SPOSITIVESIGN = 0x0050;
constexpr LCTYPE LOCALE_SNEGATIVESIGN = 0x0051;
constexpr LCTYPE LOCALE_IPOSSIGNPOSN = 0x0052;
constexpr LCTYPE LOCALE_INEGSIGNPOSN = 0x0053;
constexpr LCTYPE LOCALE_IPOSSYMPRECEDES = 0x0054;
constexpr LCTYPE LOCALE_IPOSSEPBYSPACE = 0x0055;
constexpr LCTYPE LOCALE_INEGSYMPRECEDES = 0x0056;
constexpr LCTYPE LOCALE_INEGSEPBYSPACE = 0x0057;
constexpr LCTYPE LOCALE_SISO639LANGNAME = 0x0059;
constexpr LCTYPE LOCALE_SISO3166CTRYNAME = 0x005A;
constexpr LCTYPE LOCALE_SISO639LANGNAME2 = 0x0067;
constexpr LCTYPE LOCALE_SISO3166CTRYNAME2 = 0x0068;
constexpr LCTYPE LOCALE_SNAME = 0x005C;
constexpr LCTYPE LOCALE_SYEARMONTH = 0x1006;
constexpr LCTYPE LOCALE_SENGCURRNAME = 0x1007;
constexpr LCTYPE LOCALE_SNATIVECURRNAME = 0x1008;
constexpr LCTYPE LOCALE_IREADINGLAYOUT = 0x0070;
constexpr LCTYPE LOCALE_SSHORTESTDAYNAME1 = 0x0060;
constexpr LCTYPE LOCALE_SSHORTESTDAYNAME7 = 0x0066;
constexpr LCTYPE LOCALE_SPARENT = 0x006D;
constexpr LCTYPE LOCALE_SSHORTTIME = 0x0079;
constexpr LCTYPE LOCALE_SMONTHDAY = 0x0078;
constexpr LCTYPE LOCALE_SAM = 0x0028;
constexpr LCTYPE LOCALE_SPM = 0x0029;
constexpr LCTYPE LOCALE_IDIGITSUBSTITUTION = 0x1014;

// Calendar types (LOCALE_ICALENDARTYPE).
constexpr DWORD CAL_GREGORIAN = 1;
constexpr DWORD CAL_GREGORIAN_US = 2;

// CompareString flags and results.
constexpr DWORD NORM_IGNORECASE = 0x00000001;
constexpr DWORD NORM_IGNORENONSPACE = 0x00000002;
constexpr DWORD NORM_IGNORESYMBOLS = 0x00000004;
constexpr DWORD NORM_IGNOREKANATYPE = 0x00010000;
constexpr DWORD NORM_IGNOREWIDTH = 0x00020000;
constexpr DWORD LINGUISTIC_IGNORECASE = 0x00000010;
constexpr DWORD LINGUISTIC_IGNOREDIACRITIC = 0x00000020;
constexpr DWORD SORT_STRINGSORT = 0x00001000;
constexpr DWORD SORT_DIGITSASNUMBERS = 0x00000008;
constexpr int CSTR_LESS_THAN = 1;
constexpr int CSTR_EQUAL = 2;
constexpr int CSTR_GREATER_THAN = 3;

// GetStringTypeW.
constexpr DWORD CT_CTYPE1 = 0x0001;
constexpr DWORD CT_CTYPE2 = 0x0002;
constexpr DWORD CT_CTYPE3 = 0x0004;
constexpr WORD C1_UPPER = 0x0001;
constexpr WORD C1_LOWER = 0x0002;
constexpr WORD C1_DIGIT = 0x0004;
constexpr WORD C1_SPACE = 0x0008;
constexpr WORD C1_PUNCT = 0x0010;
constexpr WORD C1_CNTRL = 0x0020;
constexpr WORD C1_BLANK = 0x0040;
constexpr WORD C1_XDIGIT = 0x0080;
constexpr WORD C1_ALPHA = 0x0100;
constexpr WORD C1_DEFINED = 0x0200;

constexpr LANGID MAKELANGID(WORD primary, WORD sub) {
  return static_cast<LANGID>((sub << 10) | primary);
}
constexpr LCID MAKELCID(LANGID lang, WORD sort) {
  return (static_cast<DWORD>(sort) << 16) | lang;
}
constexpr LANGID LANGIDFROMLCID(LCID lcid) {
  return static_cast<LANGID>(lcid & 0xFFFF);
}
constexpr WORD PRIMARYLANGID(LANGID l) {
  return l & 0x3FF;
}
constexpr WORD SUBLANGID(LANGID l) {
  return l >> 10;
}

// Locale information. Returns the number of characters written including the
// terminating zero (or, with cchData 0, needed); 0 for an unknown locale or type or a
// buffer that is too small. With LOCALE_RETURN_NUMBER the value is a DWORD written into
// lpLCData (cchData must be at least 2) and the result is 2.
int GetLocaleInfoW(LCID Locale, LCTYPE LCType, WCHAR* lpLCData, int cchData);
int GetLocaleInfoEx(const WCHAR* lpLocaleName, LCTYPE LCType, WCHAR* lpLCData, int cchData);
// Convenience: the value as a String ("" when unknown).
String GetLocaleStr(LCID Locale, LCTYPE LCType, const String& Default = String());
// The run-time library's format settings of a locale, read from its locale values (the
// time-marker pattern "tt" becomes "AMPM"); en-US where the locale has no data.
TFormatSettings GetLocaleFormatSettings(LCID Locale);
// Sets a user override of a locale value (as the regional settings do); reads with
// LOCALE_NOUSEROVERRIDE still see the locale's own value. FALSE for an unknown locale or a
// null value.
BOOL SetLocaleInfoW(LCID Locale, LCTYPE LCType, const WCHAR* lpLCData);
// Tests: drops every user override.
void ResetLocaleInfoForTesting();

struct SYSTEMTIME {
  WORD wYear = 0;
  WORD wMonth = 0;
  WORD wDayOfWeek = 0;  // 0 = Sunday
  WORD wDay = 0;
  WORD wHour = 0;
  WORD wMinute = 0;
  WORD wSecond = 0;
  WORD wMilliseconds = 0;
};
static_assert(sizeof(SYSTEMTIME) == 16);

// GetDateFormatW flags.
constexpr DWORD DATE_SHORTDATE = 0x00000001;
constexpr DWORD DATE_LONGDATE = 0x00000002;
constexpr DWORD DATE_USE_ALT_CALENDAR = 0x00000004;
constexpr DWORD DATE_YEARMONTH = 0x00000008;

// Formats a date (today when lpDate is null) with a picture of d, dd, ddd, dddd, M, MM, MMM,
// MMMM, y, yy, yyyy, g, gg and quoted literals; without a picture the locale's short (or,
// with the flags, long or year-month) date format. MMMM takes the genitive month name when the
// picture also holds a day number (d or dd). Dates are shown in the locale's calendar (the
// Hijri calendar of ar-SA; the Hebrew calendar, months numbered from Tishri without gaps and
// named in the calendar's own names; era years of the Japanese, Taiwan, Korean and Thai
// calendars).
// Returns the characters written including the terminating zero (needed, with cchDate 0);
// 0 with ERROR_INVALID_PARAMETER for an invalid date or locale, ERROR_INSUFFICIENT_BUFFER for
// a short buffer.
int GetDateFormatW(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, const WCHAR* lpFormat,
                   WCHAR* lpDateStr, int cchDate);

// Locale identifiers. The user locale comes from the environment (LC_ALL, LC_MESSAGES
// is not consulted; LC_ALL, LANG), en-US when it names none we know.
LCID GetUserDefaultLCID();
LCID GetSystemDefaultLCID();
LANGID GetUserDefaultLangID();
LANGID GetSystemDefaultLangID();
LANGID GetUserDefaultUILanguage();
LCID GetThreadLocale();
BOOL SetThreadLocale(LCID Locale);
int LCIDToLocaleName(LCID Locale, WCHAR* lpName, int cchName, DWORD dwFlags);
LCID LocaleNameToLCID(const WCHAR* lpName, DWORD dwFlags);
int GetUserDefaultLocaleName(WCHAR* lpLocaleName, int cchLocaleName);
BOOL IsValidLocale(LCID Locale, DWORD dwFlags);
// Tests: replace the user and system locale (0 restores the environment's).
void SetUserDefaultLCIDForTesting(LCID Locale);

// Comparison as the platform's collation does ("word sort": hyphens and apostrophes
// weigh least unless SORT_STRINGSORT). Lengths of -1 mean zero-terminated. Returns
// CSTR_LESS_THAN, CSTR_EQUAL or CSTR_GREATER_THAN, 0 on invalid arguments.
int CompareStringW(LCID Locale, DWORD dwCmpFlags, const WCHAR* lpString1, int cchCount1,
                   const WCHAR* lpString2, int cchCount2);
int CompareStringEx(const WCHAR* lpLocaleName, DWORD dwCmpFlags, const WCHAR* lpString1, int cchCount1,
                    const WCHAR* lpString2, int cchCount2);
// <0, 0, >0 for zero-terminated strings, user locale; lstrcmpiW ignores case.
int lstrcmpW(const WCHAR* lpString1, const WCHAR* lpString2);
int lstrcmpiW(const WCHAR* lpString1, const WCHAR* lpString2);

// Character classification; cchSrc -1 means zero-terminated. lpCharType gets one WORD per
// character.
BOOL GetStringTypeW(DWORD dwInfoType, const WCHAR* lpSrcStr, int cchSrc, WORD* lpCharType);
BOOL GetStringTypeExW(LCID Locale, DWORD dwInfoType, const WCHAR* lpSrcStr, int cchSrc, WORD* lpCharType);

}  // namespace qd
