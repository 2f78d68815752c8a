// National-language support: the locales the system ships with (a table of their values, with
// names, codes and separators from ICU), collation and character classes through ICU.
#include "platform/os/nls.h"

#include <unicode/calendar.h>
#include <unicode/dcfmtsym.h>
#include <unicode/dtfmtsym.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/ucol.h>
#include <unicode/ucurr.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/base/format.h"
#include "platform/base/strings.h"
#include "platform/os/kernel.h"

namespace qd {
namespace {

struct LocaleData {
  LCID lcid;
  const char16_t* name;
  // Values by LCTYPE (without the flag bits).
  std::map<LCTYPE, std::u16string> values;
};

struct LocaleValue {
  LCTYPE type;
  const char16_t* value;
};

// Day and month names that the system keeps itself (from Monday, from January).
struct FixedNames {
  const char16_t* days[7];
  const char16_t* daysAbbr[7];
  const char16_t* daysShortest[7];
  const char16_t* months[12];
  const char16_t* monthsAbbr[12];
};

const FixedNames kEnNames = {
    {u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday", u"Sunday"},
    {u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat", u"Sun"},
    {u"Mo", u"Tu", u"We", u"Th", u"Fr", u"Sa", u"Su"},
    {u"January", u"February", u"March", u"April", u"May", u"June", u"July", u"August", u"September",
     u"October", u"November", u"December"},
    {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"},
};

const FixedNames kPtNames = {
    {u"segunda-feira", u"terça-feira", u"quarta-feira", u"quinta-feira", u"sexta-feira", u"sábado",
     u"domingo"},
    {u"seg", u"ter", u"qua", u"qui", u"sex", u"sáb", u"dom"},
    {u"S", u"T", u"Q", u"Q", u"S", u"S", u"D"},
    {u"janeiro", u"fevereiro", u"março", u"abril", u"maio", u"junho", u"julho", u"agosto", u"setembro",
     u"outubro", u"novembro", u"dezembro"},
    {u"jan", u"fev", u"mar", u"abr", u"mai", u"jun", u"jul", u"ago", u"set", u"out", u"nov", u"dez"},
};

const FixedNames kDeNames = {
    {u"Montag", u"Dienstag", u"Mittwoch", u"Donnerstag", u"Freitag", u"Samstag", u"Sonntag"},
    {u"Mo", u"Di", u"Mi", u"Do", u"Fr", u"Sa", u"So"},
    {u"Mo", u"Di", u"Mi", u"Do", u"Fr", u"Sa", u"So"},
    {u"Januar", u"Februar", u"März", u"April", u"Mai", u"Juni", u"Juli", u"August", u"September", u"Oktober",
     u"November", u"Dezember"},
    {u"Jan", u"Feb", u"Mär", u"Apr", u"Mai", u"Jun", u"Jul", u"Aug", u"Sep", u"Okt", u"Nov", u"Dez"},
};

void AddNames(LocaleData& d, const FixedNames& names) {
  for (LCTYPE i = 0; i < 7; ++i) {
    d.values[LOCALE_SDAYNAME1 + i] = names.days[i];
    d.values[LOCALE_SABBREVDAYNAME1 + i] = names.daysAbbr[i];
    d.values[LOCALE_SSHORTESTDAYNAME1 + i] = names.daysShortest[i];
  }
  for (LCTYPE i = 0; i < 12; ++i) {
    d.values[LOCALE_SMONTHNAME1 + i] = names.months[i];
    d.values[LOCALE_SABBREVMONTHNAME1 + i] = names.monthsAbbr[i];
  }
  d.values[LOCALE_SMONTHNAME13] = u"";
  d.values[LOCALE_SABBREVMONTHNAME13] = u"";
}

// Genitive month names, kept under private keys (1..12) beside the LCTYPE values; a locale
// without them uses the nominative names.
constexpr LCTYPE kGenitiveMonthName1 = 0x00010000;

std::u16string FromIcu(const icu::UnicodeString& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.getBuffer()), static_cast<size_t>(s.length()));
}

// Day and month names from ICU's data for the locale and calendar type ("gregorian",
// "islamic-civil"): stand-alone wide month names, abbreviated and genitive (formatting
// context) names, wide, abbreviated and short day names.
void AddIcuNames(LocaleData& d, const char* icuLocale, const char* calendarType) {
  UErrorCode err = U_ZERO_ERROR;
  icu::DateFormatSymbols symbols(icu::Locale(icuLocale), calendarType, err);
  if (U_FAILURE(err)) return;
  using S = icu::DateFormatSymbols;
  int32_t n = 0;
  const icu::UnicodeString* months = symbols.getMonths(n, S::STANDALONE, S::WIDE);
  for (LCTYPE i = 0; i < 12 && static_cast<int32_t>(i) < n; ++i)
    d.values[LOCALE_SMONTHNAME1 + i] = FromIcu(months[i]);
  months = symbols.getMonths(n, S::FORMAT, S::ABBREVIATED);
  for (LCTYPE i = 0; i < 12 && static_cast<int32_t>(i) < n; ++i)
    d.values[LOCALE_SABBREVMONTHNAME1 + i] = FromIcu(months[i]);
  months = symbols.getMonths(n, S::FORMAT, S::WIDE);
  for (LCTYPE i = 0; i < 12 && static_cast<int32_t>(i) < n; ++i)
    d.values[kGenitiveMonthName1 + i] = FromIcu(months[i]);
  // ICU counts days from index 1 = Sunday; the locale values from 1 = Monday.
  const icu::UnicodeString* days = symbols.getWeekdays(n, S::FORMAT, S::WIDE);
  for (LCTYPE i = 0; i < 7 && n >= 8; ++i) d.values[LOCALE_SDAYNAME1 + i] = FromIcu(days[(i + 1) % 7 + 1]);
  days = symbols.getWeekdays(n, S::FORMAT, S::ABBREVIATED);
  for (LCTYPE i = 0; i < 7 && n >= 8; ++i)
    d.values[LOCALE_SABBREVDAYNAME1 + i] = FromIcu(days[(i + 1) % 7 + 1]);
  days = symbols.getWeekdays(n, S::FORMAT, S::SHORT);
  for (LCTYPE i = 0; i < 7 && n >= 8; ++i)
    d.values[LOCALE_SSHORTESTDAYNAME1 + i] = FromIcu(days[(i + 1) % 7 + 1]);
  d.values[LOCALE_SMONTHNAME13] = u"";
  d.values[LOCALE_SABBREVMONTHNAME13] = u"";
}

// Values shared by the locales; a locale's own table overrides what differs.
constexpr LocaleValue kCommonValues[] = {
    {LOCALE_IDEFAULTANSICODEPAGE, u"1252"},
    {LOCALE_IDEFAULTMACCODEPAGE, u"10000"},
    {LOCALE_SLIST, u","},
    {LOCALE_IMEASURE, u"0"},
    {LOCALE_SGROUPING, u"3;0"},
    {LOCALE_SMONGROUPING, u"3;0"},
    {LOCALE_IDIGITS, u"2"},
    {LOCALE_ILZERO, u"1"},
    {LOCALE_INEGNUMBER, u"1"},
    {LOCALE_SNATIVEDIGITS, u"0123456789"},
    {LOCALE_ICURRDIGITS, u"2"},
    {LOCALE_IINTLCURRDIGITS, u"2"},
    {LOCALE_ICURRENCY, u"0"},
    {LOCALE_SDATE, u"/"},
    {LOCALE_STIME, u":"},
    {LOCALE_STIMEFORMAT, u"HH:mm:ss"},
    {LOCALE_SSHORTTIME, u"HH:mm"},
    {LOCALE_SYEARMONTH, u"MMMM yyyy"},
    {LOCALE_IDATE, u"1"},
    {LOCALE_ILDATE, u"1"},
    {LOCALE_ITIME, u"1"},
    {LOCALE_ITLZERO, u"1"},
    {LOCALE_IDAYLZERO, u"1"},
    {LOCALE_IMONLZERO, u"1"},
    {LOCALE_S1159, u"AM"},
    {LOCALE_S2359, u"PM"},
    {LOCALE_IFIRSTDAYOFWEEK, u"6"},
    {LOCALE_IFIRSTWEEKOFYEAR, u"0"},
    {LOCALE_ICALENDARTYPE, u"1"},
    {LOCALE_IOPTIONALCALENDAR, u"1"},
    {LOCALE_SPOSITIVESIGN, u""},
    {LOCALE_SNEGATIVESIGN, u"-"},
    {LOCALE_IPOSSIGNPOSN, u"3"},
    {LOCALE_INEGSIGNPOSN, u"0"},
    {LOCALE_IPOSSYMPRECEDES, u"1"},
    {LOCALE_IPOSSEPBYSPACE, u"0"},
    {LOCALE_INEGSYMPRECEDES, u"1"},
    {LOCALE_INEGSEPBYSPACE, u"0"},
    {LOCALE_IREADINGLAYOUT, u"0"},
    {LOCALE_IDIGITSUBSTITUTION, u"1"},
    {LOCALE_ITIMEMARKPOSN, u"0"},
    {LOCALE_ICENTURY, u"1"},
};

// A locale the system ships with. ICU supplies the names of its language, country and
// currency, its ISO codes, its currency and separators and, with `calendar`, its day and month
// names; `values` holds the rest and every value where the system differs from ICU.
struct LocaleSpec {
  LCID lcid;
  const char16_t* name;
  const char* icuLocale;  // nullptr: nothing comes from ICU
  const char* calendar;   // ICU calendar of the day and month names; nullptr: `names`
  const FixedNames* names;
  std::initializer_list<LocaleValue> values;
};

const LocaleSpec kLocales[] = {
    {0x0409,
     u"en-US",
     "en_US",
     nullptr,
     &kEnNames,
     {
         {LOCALE_SABBREVLANGNAME, u"ENU"},
         {LOCALE_SABBREVCTRYNAME, u"USA"},
         {LOCALE_ICOUNTRY, u"1"},
         {LOCALE_IDEFAULTCODEPAGE, u"437"},
         {LOCALE_IMEASURE, u"1"},
         {LOCALE_INEGCURR, u"0"},
         {LOCALE_SSHORTDATE, u"M/d/yyyy"},
         {LOCALE_SLONGDATE, u"dddd, MMMM d, yyyy"},
         {LOCALE_STIMEFORMAT, u"h:mm:ss tt"},
         {LOCALE_SSHORTTIME, u"h:mm tt"},
         {LOCALE_SMONTHDAY, u"MMMM d"},
         {LOCALE_IDATE, u"0"},
         {LOCALE_ILDATE, u"0"},
         {LOCALE_ITIME, u"0"},
         {LOCALE_ITLZERO, u"0"},
         {LOCALE_IDAYLZERO, u"0"},
         {LOCALE_IMONLZERO, u"0"},
     }},
    {0x0416,
     u"pt-BR",
     "pt_BR",
     nullptr,
     &kPtNames,
     {
         {LOCALE_SABBREVLANGNAME, u"PTB"},
         {LOCALE_SABBREVCTRYNAME, u"BRA"},
         {LOCALE_ICOUNTRY, u"55"},
         {LOCALE_IDEFAULTCODEPAGE, u"850"},
         {LOCALE_SLIST, u";"},
         {LOCALE_SNATIVECURRNAME, u"Real"},
         {LOCALE_ICURRENCY, u"2"},
         {LOCALE_INEGCURR, u"9"},
         {LOCALE_SSHORTDATE, u"dd/MM/yyyy"},
         {LOCALE_SLONGDATE, u"dddd, d' de 'MMMM' de 'yyyy"},
         {LOCALE_SYEARMONTH, u"MMMM' de 'yyyy"},
         {LOCALE_SMONTHDAY, u"d' de 'MMMM"},
         {LOCALE_S1159, u""},
         {LOCALE_S2359, u""},
     }},
    {0x0809,
     u"en-GB",
     "en_GB",
     nullptr,
     &kEnNames,
     {
         {LOCALE_SABBREVLANGNAME, u"ENG"},
         {LOCALE_SABBREVCTRYNAME, u"GBR"},
         {LOCALE_ICOUNTRY, u"44"},
         {LOCALE_IDEFAULTCODEPAGE, u"850"},
         {LOCALE_SNATIVECURRNAME, u"Pound Sterling"},
         {LOCALE_INEGCURR, u"1"},
         {LOCALE_SSHORTDATE, u"dd/MM/yyyy"},
         {LOCALE_SLONGDATE, u"dd MMMM yyyy"},
         {LOCALE_SMONTHDAY, u"d MMMM"},
         {LOCALE_S1159, u"am"},
         {LOCALE_S2359, u"pm"},
         {LOCALE_IFIRSTDAYOFWEEK, u"0"},
         {LOCALE_IFIRSTWEEKOFYEAR, u"2"},
     }},
    {0x0407,
     u"de-DE",
     "de_DE",
     nullptr,
     &kDeNames,
     {
         {LOCALE_SABBREVLANGNAME, u"DEU"},
         {LOCALE_SABBREVCTRYNAME, u"DEU"},
         {LOCALE_ICOUNTRY, u"49"},
         {LOCALE_IDEFAULTCODEPAGE, u"850"},
         {LOCALE_SLIST, u";"},
         {LOCALE_ICURRENCY, u"3"},
         {LOCALE_INEGCURR, u"8"},
         {LOCALE_SDATE, u"."},
         {LOCALE_SSHORTDATE, u"dd.MM.yyyy"},
         {LOCALE_SLONGDATE, u"dddd, d. MMMM yyyy"},
         {LOCALE_SMONTHDAY, u"d. MMMM"},
         {LOCALE_S1159, u""},
         {LOCALE_S2359, u""},
         {LOCALE_IFIRSTDAYOFWEEK, u"0"},
         {LOCALE_IFIRSTWEEKOFYEAR, u"2"},
     }},
    {LOCALE_INVARIANT,
     u"",
     nullptr,
     nullptr,
     &kEnNames,
     {
         {LOCALE_SLANGUAGE, u"Invariant Language (Invariant Country)"},
         {LOCALE_SENGLANGUAGE, u"Invariant Language"},
         {LOCALE_SABBREVLANGNAME, u"IVL"},
         {LOCALE_SNATIVELANGNAME, u"Invariant Language"},
         {LOCALE_ICOUNTRY, u"1"},
         {LOCALE_SENGCOUNTRY, u"Invariant Country"},
         {LOCALE_SABBREVCTRYNAME, u"IVC"},
         {LOCALE_SNATIVECTRYNAME, u"Invariant Country"},
         {LOCALE_IDEFAULTCODEPAGE, u"437"},
         {LOCALE_SDECIMAL, u"."},
         {LOCALE_STHOUSAND, u","},
         {LOCALE_SCURRENCY, u"¤"},
         {LOCALE_SINTLSYMBOL, u"XDR"},
         {LOCALE_INEGCURR, u"0"},
         {LOCALE_SSHORTDATE, u"MM/dd/yyyy"},
         {LOCALE_SLONGDATE, u"dddd, dd MMMM yyyy"},
         {LOCALE_SYEARMONTH, u"yyyy MMMM"},
         {LOCALE_SMONTHDAY, u"MMMM dd"},
         {LOCALE_IDATE, u"0"},
         {LOCALE_SISO639LANGNAME, u"iv"},
         {LOCALE_SISO3166CTRYNAME, u"IV"},
         {LOCALE_SISO639LANGNAME2, u"ivl"},
         {LOCALE_SISO3166CTRYNAME2, u"IVC"},
         {LOCALE_SENGCURRNAME, u"International Monetary Fund"},
         {LOCALE_SNATIVECURRNAME, u"International Monetary Fund"},
         {LOCALE_SPARENT, u""},
     }},
    {0x0411,
     u"ja-JP",
     "ja_JP",
     "gregorian",
     nullptr,
     {
         {LOCALE_SABBREVLANGNAME, u"JPN"},
         {LOCALE_SABBREVCTRYNAME, u"JPN"},
         {LOCALE_ICOUNTRY, u"81"},
         {LOCALE_IDEFAULTCODEPAGE, u"932"},
         {LOCALE_IDEFAULTANSICODEPAGE, u"932"},
         {LOCALE_SCURRENCY, u"¥"},
         {LOCALE_SNATIVECURRNAME, u"円"},
         {LOCALE_ICURRDIGITS, u"0"},
         {LOCALE_INEGCURR, u"1"},
         {LOCALE_SSHORTDATE, u"yyyy/MM/dd"},
         {LOCALE_SLONGDATE, u"yyyy'年'M'月'd'日'"},
         {LOCALE_STIMEFORMAT, u"H:mm:ss"},
         {LOCALE_SSHORTTIME, u"H:mm"},
         {LOCALE_SYEARMONTH, u"yyyy'年'M'月'"},
         {LOCALE_SMONTHDAY, u"M'月'd'日'"},
         {LOCALE_IDATE, u"2"},
         {LOCALE_ILDATE, u"2"},
         {LOCALE_ITIMEMARKPOSN, u"1"},
         {LOCALE_ITLZERO, u"0"},
         {LOCALE_S1159, u"午前"},
         {LOCALE_S2359, u"午後"},
         {LOCALE_IOPTIONALCALENDAR, u"3"},
     }},
    // The default calendar of this locale is the Hijri calendar; its names are Hijri months.
    {0x0401,
     u"ar-SA",
     "ar_SA",
     "islamic",
     nullptr,
     {
         {LOCALE_SABBREVLANGNAME, u"ARA"},
         {LOCALE_SABBREVCTRYNAME, u"SAU"},
         {LOCALE_ICOUNTRY, u"966"},
         {LOCALE_IDEFAULTCODEPAGE, u"720"},
         {LOCALE_IDEFAULTANSICODEPAGE, u"1256"},
         {LOCALE_SLIST, u";"},
         {LOCALE_SDECIMAL, u"."},
         {LOCALE_STHOUSAND, u","},
         {LOCALE_ICURRENCY, u"2"},
         {LOCALE_INEGCURR, u"3"},
         {LOCALE_SSHORTDATE, u"dd/MM/yy"},
         {LOCALE_SLONGDATE, u"dd/MMMM/yyyy"},
         {LOCALE_STIMEFORMAT, u"hh:mm:ss tt"},
         {LOCALE_SSHORTTIME, u"hh:mm tt"},
         {LOCALE_SYEARMONTH, u"MMMM, yyyy"},
         {LOCALE_SMONTHDAY, u"d MMMM"},
         {LOCALE_ITIME, u"0"},
         {LOCALE_S1159, u"ص"},
         {LOCALE_S2359, u"م"},
         {LOCALE_ICALENDARTYPE, u"6"},
         {LOCALE_IOPTIONALCALENDAR, u"6"},
         {LOCALE_IREADINGLAYOUT, u"1"},
     }},
    {0x040D,
     u"he-IL",
     "he_IL",
     "gregorian",
     nullptr,
     {
         {LOCALE_SABBREVLANGNAME, u"HEB"},
         {LOCALE_SABBREVCTRYNAME, u"ISR"},
         {LOCALE_ICOUNTRY, u"972"},
         {LOCALE_IDEFAULTCODEPAGE, u"862"},
         {LOCALE_IDEFAULTANSICODEPAGE, u"1255"},
         {LOCALE_ICURRENCY, u"2"},
         {LOCALE_INEGCURR, u"2"},
         {LOCALE_SSHORTDATE, u"dd/MM/yyyy"},
         {LOCALE_SLONGDATE, u"dddd dd MMMM yyyy"},
         {LOCALE_SMONTHDAY, u"dd MMMM"},
         {LOCALE_IOPTIONALCALENDAR, u"8"},
         {LOCALE_IREADINGLAYOUT, u"1"},
     }},
    // Month names after a day number take the genitive case ("5 марта").
    {0x0419,
     u"ru-RU",
     "ru_RU",
     "gregorian",
     nullptr,
     {
         {LOCALE_SABBREVLANGNAME, u"RUS"},
         {LOCALE_SABBREVCTRYNAME, u"RUS"},
         {LOCALE_ICOUNTRY, u"7"},
         {LOCALE_IDEFAULTCODEPAGE, u"866"},
         {LOCALE_IDEFAULTANSICODEPAGE, u"1251"},
         {LOCALE_SLIST, u";"},
         {LOCALE_ICURRENCY, u"3"},
         {LOCALE_INEGCURR, u"8"},
         {LOCALE_SDATE, u"."},
         {LOCALE_SSHORTDATE, u"dd.MM.yyyy"},
         {LOCALE_SLONGDATE, u"d MMMM yyyy 'г.'"},
         {LOCALE_STIMEFORMAT, u"H:mm:ss"},
         {LOCALE_SSHORTTIME, u"H:mm"},
         {LOCALE_SMONTHDAY, u"d MMMM"},
         {LOCALE_ITLZERO, u"0"},
         {LOCALE_S1159, u""},
         {LOCALE_S2359, u""},
         {LOCALE_IFIRSTDAYOFWEEK, u"0"},
     }},
};

std::u16string FromAscii(const char* s) {
  return std::u16string(s, s + std::strlen(s));
}

// What ICU knows of a locale: the names of its language and country (in English and its own
// language), ISO codes, currency and number separators.
void AddIcuValues(LocaleData& d, const char* icuLocale) {
  auto& v = d.values;
  const icu::Locale loc(icuLocale);
  const icu::Locale& english = icu::Locale::getEnglish();
  icu::UnicodeString s;
  v[LOCALE_SLANGUAGE] = FromIcu(loc.getDisplayName(english, s));
  v[LOCALE_SENGLANGUAGE] = FromIcu(loc.getDisplayLanguage(english, s));
  v[LOCALE_SNATIVELANGNAME] = FromIcu(loc.getDisplayLanguage(loc, s));
  v[LOCALE_SENGCOUNTRY] = FromIcu(loc.getDisplayCountry(english, s));
  v[LOCALE_SNATIVECTRYNAME] = FromIcu(loc.getDisplayCountry(loc, s));
  v[LOCALE_SISO639LANGNAME] = FromAscii(loc.getLanguage());
  v[LOCALE_SISO639LANGNAME2] = FromAscii(loc.getISO3Language());
  v[LOCALE_SISO3166CTRYNAME] = FromAscii(loc.getCountry());
  v[LOCALE_SISO3166CTRYNAME2] = FromAscii(loc.getISO3Country());
  v[LOCALE_SPARENT] = FromAscii(loc.getLanguage());

  UErrorCode err = U_ZERO_ERROR;
  UChar currency[4] = {};
  ucurr_forLocale(icuLocale, currency, 4, &err);
  if (U_SUCCESS(err)) {
    v[LOCALE_SINTLSYMBOL] = std::u16string(currency, 3);
    auto name = [&](const char* in, UCurrNameStyle style) {
      UErrorCode e = U_ZERO_ERROR;
      UBool isChoice = false;
      int32_t len = 0;
      const UChar* n = ucurr_getName(currency, in, style, &isChoice, &len, &e);
      return U_SUCCESS(e) && n ? std::u16string(n, static_cast<size_t>(len)) : std::u16string();
    };
    v[LOCALE_SCURRENCY] = name(icuLocale, UCURR_SYMBOL_NAME);
    v[LOCALE_SENGCURRNAME] = name("en", UCURR_LONG_NAME);
    v[LOCALE_SNATIVECURRNAME] = name(icuLocale, UCURR_LONG_NAME);
  }

  err = U_ZERO_ERROR;
  icu::DecimalFormatSymbols symbols(loc, err);
  if (U_SUCCESS(err)) {
    v[LOCALE_SDECIMAL] = FromIcu(symbols.getSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol));
    v[LOCALE_STHOUSAND] = FromIcu(symbols.getSymbol(icu::DecimalFormatSymbols::kGroupingSeparatorSymbol));
  }
}

// Four hexadecimal digits, as the language identifiers are written.
std::u16string HexId(LCID id) {
  static const char16_t* digits = u"0123456789abcdef";
  std::u16string s(4, u'0');
  for (int i = 3; i >= 0; --i, id >>= 4) s[static_cast<size_t>(i)] = digits[id & 0xF];
  return s;
}

LocaleData MakeLocale(const LocaleSpec& spec) {
  LocaleData d{spec.lcid, spec.name, {}};
  auto& v = d.values;
  for (const auto& [type, value] : kCommonValues) v[type] = value;
  if (spec.icuLocale) AddIcuValues(d, spec.icuLocale);
  if (spec.names)
    AddNames(d, *spec.names);
  else
    AddIcuNames(d, spec.icuLocale, spec.calendar);
  for (const auto& [type, value] : spec.values) v[type] = value;
  // Values that repeat others.
  v[LOCALE_ILANGUAGE] = v[LOCALE_IDEFAULTLANGUAGE] = HexId(spec.lcid);
  v[LOCALE_IDEFAULTCOUNTRY] = v[LOCALE_ICOUNTRY];
  v[LOCALE_SCOUNTRY] = v[LOCALE_SENGCOUNTRY];
  v[LOCALE_SMONDECIMALSEP] = v[LOCALE_SDECIMAL];
  v[LOCALE_SMONTHOUSANDSEP] = v[LOCALE_STHOUSAND];
  v[LOCALE_SNAME] = spec.name;
  return d;
}

std::vector<LocaleData> BuildLocales() {
  std::vector<LocaleData> all;
  for (const LocaleSpec& spec : kLocales) all.push_back(MakeLocale(spec));
  return all;
}

const std::vector<LocaleData>& Locales() {
  static const std::vector<LocaleData> all = BuildLocales();
  return all;
}

const LocaleData* FindData(LCID lcid) {
  for (const auto& d : Locales())
    if (d.lcid == lcid) return &d;
  return nullptr;
}

// Values written as hexadecimal digits.
bool IsHexType(LCTYPE t) {
  return t == LOCALE_ILANGUAGE || t == LOCALE_IDEFAULTLANGUAGE;
}

std::atomic<LCID> gUserOverride{0};
thread_local LCID tThreadLocale = 0;

LCID FromEnvironment() {
  for (const char* var : {"LC_ALL", "LANG"}) {
    const char* v = std::getenv(var);
    if (!v || !*v) continue;
    std::string s(v);
    s = s.substr(0, s.find_first_of(".@"));
    std::replace(s.begin(), s.end(), '_', '-');
    LCID id = LocaleNameToLCID(Utf8ToString(s).c_str(), 0);
    if (id && FindData(id)) return id;
    return 0x0409;  // a locale we have no data for reads as en-US
  }
  return 0x0409;
}

LCID ResolveLCID(LCID lcid) {
  switch (lcid) {
    case LOCALE_USER_DEFAULT:
    case LOCALE_CUSTOM_DEFAULT:
    case LOCALE_CUSTOM_UI_DEFAULT:
    case LOCALE_CUSTOM_UNSPECIFIED:
    case LOCALE_NEUTRAL:
      return GetUserDefaultLCID();
    case LOCALE_SYSTEM_DEFAULT:
      return GetSystemDefaultLCID();
    default:
      // Sort identifiers (bits 16-19) do not change the data.
      return lcid & 0xFFFF;
  }
}

int CopyOut(const std::u16string& s, WCHAR* out, int cch) {
  int need = static_cast<int>(s.size()) + 1;
  if (cch == 0) return need;
  if (!out || cch < need) return 0;
  std::copy(s.begin(), s.end(), out);
  out[s.size()] = 0;
  return need;
}

struct NameEntry {
  LCID lcid;
  const char16_t* name;
};
// Identifiers that have a name; locale data exists only for some of them.
constexpr NameEntry kNames[] = {
    {0x0409, u"en-US"}, {0x0416, u"pt-BR"}, {0x0809, u"en-GB"}, {0x0407, u"de-DE"},
    {0x0816, u"pt-PT"}, {0x0C0A, u"es-ES"}, {0x080A, u"es-MX"}, {0x040C, u"fr-FR"},
    {0x0410, u"it-IT"}, {0x0413, u"nl-NL"}, {0x0411, u"ja-JP"}, {0x0804, u"zh-CN"},
    {0x0419, u"ru-RU"}, {0x0401, u"ar-SA"}, {0x040D, u"he-IL"}, {0x007F, u""},
};

std::u16string_view Measure(const WCHAR* s, int n) {
  if (!s) return {};
  if (n < 0) return std::u16string_view(s);
  return std::u16string_view(s, static_cast<size_t>(n));
}

// --- collation -----------------------------------------------------------------------

struct CollatorKey {
  LCID lcid;
  DWORD flags;
  bool operator<(const CollatorKey& o) const { return lcid != o.lcid ? lcid < o.lcid : flags < o.flags; }
};
struct CollatorCache {
  std::mutex lock;
  std::map<CollatorKey, UCollator*> collators;
  ~CollatorCache() {
    for (auto& [k, c] : collators) ucol_close(c);
  }
};
CollatorCache& Collators() {
  static CollatorCache c;
  return c;
}

constexpr DWORD kCollatorFlags = NORM_IGNORECASE | LINGUISTIC_IGNORECASE | NORM_IGNORENONSPACE |
                                 LINGUISTIC_IGNOREDIACRITIC | NORM_IGNORESYMBOLS | SORT_DIGITSASNUMBERS;

UCollator* GetCollator(LCID lcid, DWORD flags) {
  flags &= kCollatorFlags;
  auto& cache = Collators();
  std::lock_guard g(cache.lock);
  auto it = cache.collators.find({lcid, flags});
  if (it != cache.collators.end()) return it->second;
  std::string loc;
  for (const auto& e : kNames)
    if (e.lcid == lcid) loc = StringToUtf8(e.name);
  std::replace(loc.begin(), loc.end(), '-', '_');
  UErrorCode err = U_ZERO_ERROR;
  UCollator* c = ucol_open(loc.c_str(), &err);
  if (U_FAILURE(err) || !c) return nullptr;
  bool ignoreCase = flags & (NORM_IGNORECASE | LINGUISTIC_IGNORECASE);
  bool ignoreAccents = flags & (NORM_IGNORENONSPACE | LINGUISTIC_IGNOREDIACRITIC);
  if (ignoreAccents) {
    ucol_setStrength(c, UCOL_PRIMARY);
    if (!ignoreCase) ucol_setAttribute(c, UCOL_CASE_LEVEL, UCOL_ON, &err);
  } else if (ignoreCase) {
    ucol_setStrength(c, UCOL_SECONDARY);
  } else {
    ucol_setStrength(c, UCOL_TERTIARY);
  }
  if (flags & NORM_IGNORESYMBOLS) ucol_setAttribute(c, UCOL_ALTERNATE_HANDLING, UCOL_SHIFTED, &err);
  if (flags & SORT_DIGITSASNUMBERS) ucol_setAttribute(c, UCOL_NUMERIC_COLLATION, UCOL_ON, &err);
  cache.collators[{lcid, flags}] = c;
  return c;
}

int Collate(UCollator* c, std::u16string_view a, std::u16string_view b) {
  UCollationResult r =
      ucol_strcoll(c, reinterpret_cast<const UChar*>(a.data()), static_cast<int32_t>(a.size()),
                   reinterpret_cast<const UChar*>(b.data()), static_cast<int32_t>(b.size()));
  return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
}

bool IsWordSortIgnorable(char16_t c) {
  return c == u'-' || c == u'\'' || c == 0x00AD || c == 0x2019;
}

std::u16string WithoutIgnorables(std::u16string_view s) {
  std::u16string out;
  out.reserve(s.size());
  for (char16_t c : s)
    if (!IsWordSortIgnorable(c)) out.push_back(c);
  return out;
}

int CompareImpl(LCID lcid, DWORD flags, std::u16string_view a, std::u16string_view b) {
  LCID id = ResolveLCID(lcid);
  if (!FindData(id)) id = 0x0409;
  UCollator* c = GetCollator(id, flags);
  if (!c) return 0;
  if (!(flags & SORT_STRINGSORT)) {
    // Word sort: hyphens and apostrophes count only when everything else is equal.
    std::u16string wa = WithoutIgnorables(a), wb = WithoutIgnorables(b);
    if (wa.size() != a.size() || wb.size() != b.size()) {
      int r = Collate(c, wa, wb);
      if (r != 0) return r;
      // Equal but for them: the one with fewer of them sorts first.
      size_t na = a.size() - wa.size(), nb = b.size() - wb.size();
      if (na != nb) return na < nb ? -1 : 1;
    }
  }
  return Collate(c, a, b);
}

// User overrides of locale values (SetLocaleInfoW).
struct Overrides {
  std::mutex lock;
  std::map<std::pair<LCID, LCTYPE>, std::u16string> values;
};
Overrides& UserOverrides() {
  static Overrides o;
  return o;
}

bool LookupValue(const LocaleData& d, LCTYPE type, bool useOverrides, std::u16string& value) {
  if (useOverrides) {
    auto& o = UserOverrides();
    std::lock_guard g(o.lock);
    auto it = o.values.find({d.lcid, type});
    if (it != o.values.end()) {
      value = it->second;
      return true;
    }
  }
  auto it = d.values.find(type);
  if (it == d.values.end()) return false;
  value = it->second;
  return true;
}

}  // namespace

// --- locale identifiers ---------------------------------------------------------------

void SetUserDefaultLCIDForTesting(LCID Locale) {
  gUserOverride = Locale;
}

LCID GetUserDefaultLCID() {
  LCID o = gUserOverride;
  if (o) return o;
  static const LCID fromEnv = FromEnvironment();
  return fromEnv;
}

LCID GetSystemDefaultLCID() {
  return GetUserDefaultLCID();
}
LANGID GetUserDefaultLangID() {
  return LANGIDFROMLCID(GetUserDefaultLCID());
}
LANGID GetSystemDefaultLangID() {
  return LANGIDFROMLCID(GetSystemDefaultLCID());
}
LANGID GetUserDefaultUILanguage() {
  return GetUserDefaultLangID();
}

LCID GetThreadLocale() {
  return tThreadLocale ? tThreadLocale : GetUserDefaultLCID();
}

BOOL SetThreadLocale(LCID Locale) {
  LCID id = ResolveLCID(Locale);
  if (!FindData(id)) return FALSE;
  tThreadLocale = id;
  return TRUE;
}

BOOL IsValidLocale(LCID Locale, DWORD) {
  return FindData(Locale & 0xFFFF) ? TRUE : FALSE;
}

int LCIDToLocaleName(LCID Locale, WCHAR* lpName, int cchName, DWORD) {
  LCID id = ResolveLCID(Locale);
  for (const auto& e : kNames)
    if (e.lcid == id) return CopyOut(e.name, lpName, cchName);
  return 0;
}

LCID LocaleNameToLCID(const WCHAR* lpName, DWORD) {
  if (!lpName) return GetUserDefaultLCID();
  std::u16string_view name(lpName);
  if (name == LOCALE_NAME_SYSTEM_DEFAULT) return GetSystemDefaultLCID();
  for (const auto& e : kNames)
    if (SameText(e.name, name)) return e.lcid;
  return 0;
}

int GetUserDefaultLocaleName(WCHAR* lpLocaleName, int cchLocaleName) {
  return LCIDToLocaleName(LOCALE_USER_DEFAULT, lpLocaleName, cchLocaleName, 0);
}

// --- locale information -----------------------------------------------------------------

int GetLocaleInfoW(LCID Locale, LCTYPE LCType, WCHAR* lpLCData, int cchData) {
  if (cchData < 0) return 0;
  const LocaleData* d = FindData(ResolveLCID(Locale));
  if (!d) return 0;
  LCTYPE type = LCType & ~(LOCALE_NOUSEROVERRIDE | LOCALE_USE_CP_ACP | LOCALE_RETURN_NUMBER);
  std::u16string value;
  if (!LookupValue(*d, type, !(LCType & LOCALE_NOUSEROVERRIDE), value)) return 0;
  if (LCType & LOCALE_RETURN_NUMBER) {
    const std::u16string& s = value;
    if (s.empty()) return 0;
    DWORD value = 0;
    int base = IsHexType(type) ? 16 : 10;
    for (char16_t c : s) {
      const int digit = HexDigitValue(c);
      if (digit < 0 || digit >= base) return 0;  // not a number
      value = value * static_cast<DWORD>(base) + static_cast<DWORD>(digit);
    }
    constexpr int kNeed = static_cast<int>(sizeof(DWORD) / sizeof(WCHAR));
    if (cchData == 0) return kNeed;
    if (!lpLCData || cchData < kNeed) return 0;
    std::memcpy(lpLCData, &value, sizeof(value));
    return kNeed;
  }
  return CopyOut(value, lpLCData, cchData);
}

int GetLocaleInfoEx(const WCHAR* lpLocaleName, LCTYPE LCType, WCHAR* lpLCData, int cchData) {
  LCID id = lpLocaleName && *lpLocaleName == 0 ? LOCALE_INVARIANT : LocaleNameToLCID(lpLocaleName, 0);
  if (!id) return 0;
  return GetLocaleInfoW(id, LCType, lpLCData, cchData);
}

String GetLocaleStr(LCID Locale, LCTYPE LCType, const String& Default) {
  WCHAR buf[256];
  int n = GetLocaleInfoW(Locale, LCType & ~LOCALE_RETURN_NUMBER, buf, 256);
  return n > 0 ? String(buf, static_cast<size_t>(n - 1)) : Default;
}

namespace {

// "h:mm:ss tt" -> "h:mm:ss AMPM"; quoted text is kept as it is.
String TimeMarkersToAmPm(const String& pattern) {
  String result;
  bool quoted = false;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const Char c = pattern[i];
    if (c == u'\'') quoted = !quoted;
    if (!quoted && c == u't') {
      while (i + 1 < pattern.size() && pattern[i + 1] == u't') ++i;
      result += u"AMPM";
      continue;
    }
    result += c;
  }
  return result;
}

}  // namespace

TFormatSettings GetLocaleFormatSettings(LCID Locale) {
  TFormatSettings s;
  if (!FindData(ResolveLCID(Locale) & 0xFFFF)) return s;
  auto str = [&](LCTYPE type, const String& fallback) { return GetLocaleStr(Locale, type, fallback); };
  auto chr = [&](LCTYPE type, Char fallback) {
    const String v = str(type, String());
    return v.empty() ? fallback : v[0];
  };
  auto num = [&](LCTYPE type, uint8_t fallback) {
    const String v = str(type, String());
    int n = 0;
    for (Char c : v) {
      if (c < u'0' || c > u'9' || n > 255) return fallback;
      n = n * 10 + (c - u'0');
    }
    return v.empty() || n > 255 ? fallback : static_cast<uint8_t>(n);
  };
  s.DecimalSeparator = chr(LOCALE_SDECIMAL, s.DecimalSeparator);
  s.ThousandSeparator = chr(LOCALE_STHOUSAND, s.ThousandSeparator);
  s.CurrencyString = str(LOCALE_SCURRENCY, s.CurrencyString);
  s.CurrencyFormat = num(LOCALE_ICURRENCY, s.CurrencyFormat);
  s.NegCurrFormat = num(LOCALE_INEGCURR, s.NegCurrFormat);
  s.CurrencyDecimals = num(LOCALE_ICURRDIGITS, s.CurrencyDecimals);
  s.ShortDateFormat = str(LOCALE_SSHORTDATE, s.ShortDateFormat);
  s.LongDateFormat = str(LOCALE_SLONGDATE, s.LongDateFormat);
  s.DateSeparator = chr(LOCALE_SDATE, s.DateSeparator);
  s.TimeSeparator = chr(LOCALE_STIME, s.TimeSeparator);
  s.TimeAMString = str(LOCALE_S1159, s.TimeAMString);
  s.TimePMString = str(LOCALE_S2359, s.TimePMString);
  s.ShortTimeFormat = TimeMarkersToAmPm(str(LOCALE_SSHORTTIME, s.ShortTimeFormat));
  s.LongTimeFormat = TimeMarkersToAmPm(str(LOCALE_STIMEFORMAT, s.LongTimeFormat));
  for (LCTYPE i = 0; i < 12; ++i) {
    s.LongMonthNames[i] = str(LOCALE_SMONTHNAME1 + i, s.LongMonthNames[i]);
    s.ShortMonthNames[i] = str(LOCALE_SABBREVMONTHNAME1 + i, s.ShortMonthNames[i]);
  }
  // The locale counts days from Monday, the settings from Sunday.
  for (LCTYPE i = 0; i < 7; ++i) {
    s.LongDayNames[(i + 1) % 7] = str(LOCALE_SDAYNAME1 + i, s.LongDayNames[(i + 1) % 7]);
    s.ShortDayNames[(i + 1) % 7] = str(LOCALE_SABBREVDAYNAME1 + i, s.ShortDayNames[(i + 1) % 7]);
  }
  s.ListSeparator = chr(LOCALE_SLIST, s.ListSeparator);
  return s;
}

// --- comparison ---------------------------------------------------------------------------

int CompareStringW(LCID Locale, DWORD dwCmpFlags, const WCHAR* lpString1, int cchCount1,
                   const WCHAR* lpString2, int cchCount2) {
  if ((!lpString1 && cchCount1 != 0) || (!lpString2 && cchCount2 != 0)) return 0;
  return CompareImpl(Locale, dwCmpFlags, Measure(lpString1, cchCount1), Measure(lpString2, cchCount2)) + 2;
}

int CompareStringEx(const WCHAR* lpLocaleName, DWORD dwCmpFlags, const WCHAR* lpString1, int cchCount1,
                    const WCHAR* lpString2, int cchCount2) {
  LCID id = lpLocaleName && *lpLocaleName == 0 ? LOCALE_INVARIANT : LocaleNameToLCID(lpLocaleName, 0);
  if (!id) return 0;
  return CompareStringW(id, dwCmpFlags, lpString1, cchCount1, lpString2, cchCount2);
}

int lstrcmpW(const WCHAR* a, const WCHAR* b) {
  return CompareImpl(LOCALE_USER_DEFAULT, 0, Measure(a, -1), Measure(b, -1));
}

int lstrcmpiW(const WCHAR* a, const WCHAR* b) {
  return CompareImpl(LOCALE_USER_DEFAULT, NORM_IGNORECASE, Measure(a, -1), Measure(b, -1));
}

// --- character types -----------------------------------------------------------------------

BOOL GetStringTypeW(DWORD dwInfoType, const WCHAR* lpSrcStr, int cchSrc, WORD* lpCharType) {
  if (dwInfoType != CT_CTYPE1 || !lpSrcStr || !lpCharType || cchSrc == 0) return FALSE;
  std::u16string_view s = Measure(lpSrcStr, cchSrc);
  size_t n = cchSrc < 0 ? s.size() + 1 : s.size();  // -1 includes the terminating zero
  for (size_t i = 0; i < n; ++i) {
    UChar32 c = i < s.size() ? s[i] : 0;
    WORD t = 0;
    if (u_isupper(c)) t |= C1_UPPER;
    if (u_islower(c)) t |= C1_LOWER;
    if (u_isdigit(c)) t |= C1_DIGIT;
    if (u_isspace(c) || (c >= 0x09 && c <= 0x0D)) t |= C1_SPACE;
    int8_t cat = u_charType(c);
    bool symbol =
        cat == U_MATH_SYMBOL || cat == U_CURRENCY_SYMBOL || cat == U_MODIFIER_SYMBOL || cat == U_OTHER_SYMBOL;
    if (u_ispunct(c) || symbol) t |= C1_PUNCT;
    if (u_iscntrl(c)) t |= C1_CNTRL;
    if (c == u' ' || c == u'\t' || c == 0xA0 || (u_isblank(c) && c != 0x200B)) t |= C1_BLANK;
    if ((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')) t |= C1_XDIGIT;
    if (u_isalpha(c)) t |= C1_ALPHA;
    if (u_isdefined(c)) t |= C1_DEFINED;
    lpCharType[i] = t;
  }
  return TRUE;
}

BOOL GetStringTypeExW(LCID, DWORD dwInfoType, const WCHAR* lpSrcStr, int cchSrc, WORD* lpCharType) {
  return GetStringTypeW(dwInfoType, lpSrcStr, cchSrc, lpCharType);
}

}  // namespace qd

// --- user overrides and date formatting ----------------------------------------------------

namespace qd {

BOOL SetLocaleInfoW(LCID Locale, LCTYPE LCType, const WCHAR* lpLCData) {
  const LocaleData* d = FindData(ResolveLCID(Locale));
  LCTYPE type = LCType & ~(LOCALE_NOUSEROVERRIDE | LOCALE_USE_CP_ACP | LOCALE_RETURN_NUMBER);
  if (!d || !lpLCData || !d->values.count(type)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto& o = UserOverrides();
  std::lock_guard g(o.lock);
  o.values[{d->lcid, type}] = lpLCData;
  return TRUE;
}

void ResetLocaleInfoForTesting() {
  auto& o = UserOverrides();
  std::lock_guard g(o.lock);
  o.values.clear();
}

namespace {

struct CalendarDate {
  int era = 0;  // ICU's era index (Japanese calendar)
  int year = 0;
  int month = 0;
  int day = 0;
  int icuMonth = -1;  // ICU's month index where the calendar has its own month names (Hebrew)
};

bool IsHebrewLeapYear(int year) {
  return (7 * year + 1) % 19 < 7;
}

// The Gregorian date in the calendar with the given identifier.
CalendarDate ToCalendar(int year, int month, int day, int calendarId) {
  CalendarDate r{0, year, month, day};
  const char* icuType = nullptr;
  switch (calendarId) {
    case 3:
      icuType = "japanese";
      break;
    case 6:
      // The tabular calendar counted from 622-07-15 (Julian), as the calendar tables count.
      icuType = "islamic-tbla";
      break;
    case 8:
      icuType = "hebrew";
      break;
    case 4:
      r.year = year - 1911;
      return r;
    case 5:
      r.year = year + 2333;
      return r;
    case 7:
      r.year = year + 543;
      return r;
    default:
      return r;
  }
  UErrorCode err = U_ZERO_ERROR;
  icu::Locale loc("en", nullptr, nullptr, (std::string("calendar=") + icuType).c_str());
  std::unique_ptr<icu::Calendar> cal(
      icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(), loc, err));
  if (U_FAILURE(err) || !cal) return r;
  // Days since 1970-01-01 of the proleptic Gregorian date.
  double days = EncodeDate(year, month, day) - 25569.0;
  cal->setTime(days * 86400000.0, err);
  int e = cal->get(UCAL_ERA, err), y = cal->get(UCAL_YEAR, err), m = cal->get(UCAL_MONTH, err) + 1,
      dd = cal->get(UCAL_DATE, err);
  if (U_FAILURE(err)) return r;
  if (calendarId != 8) return {e, y, m, dd, -1};
  // ICU counts Hebrew months from Tishri with Adar I as month 5 only in leap years; the
  // platform numbers the months of each year without gaps (Adar I 6 and Adar II 7 in a leap
  // year). ICU names Adar II separately, at index 13.
  const int icu = m - 1;
  if (IsHebrewLeapYear(y)) return {e, y, icu + 1, dd, icu == 6 ? 13 : icu};
  return {e, y, icu < 6 ? icu + 1 : icu, dd, icu};
}

// A month name of the calendar's own (ICU's Hebrew month names).
std::u16string CalendarMonthName(const LocaleData& d, int calendarId, int icuMonth, bool abbreviated) {
  UErrorCode err = U_ZERO_ERROR;
  std::string name = StringToUtf8(d.name);
  std::replace(name.begin(), name.end(), '-', '_');
  icu::DateFormatSymbols symbols(icu::Locale(name.c_str()), calendarId == 8 ? "hebrew" : "gregorian", err);
  if (U_FAILURE(err)) return {};
  int32_t n = 0;
  using S = icu::DateFormatSymbols;
  const icu::UnicodeString* months = symbols.getMonths(n, S::FORMAT, abbreviated ? S::ABBREVIATED : S::WIDE);
  return icuMonth >= 0 && icuMonth < n ? FromIcu(months[icuMonth]) : std::u16string();
}

std::u16string EraName(int era, int calendarId, const LocaleData& d) {
  UErrorCode err = U_ZERO_ERROR;
  const char* type = calendarId == 3 ? "japanese" : calendarId == 6 ? "islamic" : "gregorian";
  std::string name = StringToUtf8(d.name);
  std::replace(name.begin(), name.end(), '-', '_');
  icu::DateFormatSymbols symbols(icu::Locale(name.c_str()), type, err);
  if (U_FAILURE(err)) return {};
  int32_t n = 0;
  const icu::UnicodeString* eras = symbols.getEras(n);
  if (calendarId != 3 && calendarId != 6) era = 1;  // the current era of the Gregorian family
  if (era < 0 || era >= n) return {};
  return FromIcu(eras[era]);
}

std::u16string Padded(int value, int width) {
  std::u16string s = IntToStr(value);
  while (static_cast<int>(s.size()) < width) s.insert(s.begin(), u'0');
  return s;
}

}  // namespace

int GetDateFormatW(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, const WCHAR* lpFormat,
                   WCHAR* lpDateStr, int cchDate) {
  const LocaleData* d = FindData(ResolveLCID(Locale));
  if (!d || cchDate < 0 || (cchDate > 0 && !lpDateStr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const DWORD kinds = DATE_SHORTDATE | DATE_LONGDATE | DATE_YEARMONTH;
  if (lpFormat && (dwFlags & kinds)) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  int year, month, day;
  if (lpDate) {
    year = lpDate->wYear;
    month = lpDate->wMonth;
    day = lpDate->wDay;
    if (year < 1601 || year > 30827 || month < 1 || month > 12 || day < 1 ||
        day > DaysInAMonth(year, month) || year > 9999) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
  } else {
    DecodeDate(Date(), year, month, day);
  }
  const bool overrides = !(dwFlags & LOCALE_NOUSEROVERRIDE);
  std::u16string picture;
  if (lpFormat) {
    picture = lpFormat;
  } else {
    LCTYPE t = (dwFlags & DATE_LONGDATE)    ? LOCALE_SLONGDATE
               : (dwFlags & DATE_YEARMONTH) ? LOCALE_SYEARMONTH
                                            : LOCALE_SSHORTDATE;
    LookupValue(*d, t, overrides, picture);
  }
  std::u16string calText;
  LookupValue(*d, LOCALE_ICALENDARTYPE, overrides, calText);
  const int calendarId = StrToIntDef(calText, 1);
  const CalendarDate cd = ToCalendar(year, month, day, calendarId);
  const int weekday = (DayOfWeek(EncodeDate(year, month, day)) + 5) % 7;  // 0 = Monday

  // A day number anywhere in the picture asks for genitive month names.
  bool hasDayNumber = false;
  for (size_t i = 0; i < picture.size();) {
    if (picture[i] == u'\'') {
      size_t j = picture.find(u'\'', i + 1);
      i = j == std::u16string::npos ? picture.size() : j + 1;
      continue;
    }
    size_t j = i;
    while (j < picture.size() && picture[j] == picture[i]) ++j;
    if (picture[i] == u'd' && j - i <= 2) hasDayNumber = true;
    i = j;
  }

  auto value = [&](LCTYPE t) {
    std::u16string v;
    LookupValue(*d, t, overrides, v);
    return v;
  };
  std::u16string out;
  for (size_t i = 0; i < picture.size();) {
    Char c = picture[i];
    if (c == u'\'') {
      // Quoted text; two quotes inside stand for one.
      ++i;
      while (i < picture.size()) {
        if (picture[i] == u'\'') {
          if (i + 1 < picture.size() && picture[i + 1] == u'\'') {
            out.push_back(u'\'');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        out.push_back(picture[i++]);
      }
      continue;
    }
    size_t j = i;
    while (j < picture.size() && picture[j] == c) ++j;
    const size_t run = j - i;
    switch (c) {
      case u'd':
        if (run == 1)
          out += IntToStr(cd.day);
        else if (run == 2)
          out += Padded(cd.day, 2);
        else
          out += value((run == 3 ? LOCALE_SABBREVDAYNAME1 : LOCALE_SDAYNAME1) + static_cast<LCTYPE>(weekday));
        break;
      case u'M':
        if (run == 1) {
          out += IntToStr(cd.month);
        } else if (run == 2) {
          out += Padded(cd.month, 2);
        } else if (cd.icuMonth >= 0) {
          out += CalendarMonthName(*d, calendarId, cd.icuMonth, run == 3);
        } else if (run == 3) {
          out += value(LOCALE_SABBREVMONTHNAME1 + static_cast<LCTYPE>(cd.month - 1));
        } else {
          std::u16string name;
          if (!(hasDayNumber &&
                LookupValue(*d, kGenitiveMonthName1 + static_cast<LCTYPE>(cd.month - 1), false, name)))
            name = value(LOCALE_SMONTHNAME1 + static_cast<LCTYPE>(cd.month - 1));
          out += name;
        }
        break;
      case u'y':
        if (run == 1)
          out += IntToStr(cd.year % 100);
        else if (run == 2)
          out += Padded(cd.year % 100, 2);
        else
          out += IntToStr(cd.year);
        break;
      case u'g':
        out += EraName(cd.era, calendarId, *d);
        break;
      default:
        out.append(run, c);
        break;
    }
    i = j;
  }
  const int need = static_cast<int>(out.size()) + 1;
  if (cchDate == 0) return need;
  if (cchDate < need) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::copy(out.begin(), out.end(), lpDateStr);
  lpDateStr[out.size()] = 0;
  return need;
}

}  // namespace qd
