#include <gtest/gtest.h>

#include "platform/base/strings.h"
#include "platform/os/kernel.h"
#include "platform/os/modules.h"
#include "platform/os/nls_calendar.h"

namespace qd {
namespace {

TEST(NlsCalendar, TwoDigitYearMaximumAsNumberAndText) {
  struct TCase {
    CALID Calendar;
    DWORD UserSetting;  // 0: none
    CALTYPE Flags;
    DWORD Expected;
  };
  const TCase cases[] = {
      {CAL_GREGORIAN, 0, 0, 2049},    {CAL_GREGORIAN_ARABIC, 0, 0, 2049},
      {CAL_JAPAN, 0, 0, 99},          {CAL_HEBREW, 0, 0, 5810},
      {CAL_GREGORIAN, 2029, 0, 2029}, {CAL_GREGORIAN, 2029, CAL_NOUSEROVERRIDE, 2049},
  };
  for (const TCase& c : cases) {
    SetCalendarTwoDigitYearMax(c.Calendar, c.UserSetting);
    DWORD value = 0;
    EXPECT_EQ(GetCalendarInfoW(LOCALE_USER_DEFAULT, c.Calendar,
                               CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER | c.Flags, nullptr, 0, &value),
              2);
    EXPECT_EQ(value, c.Expected) << c.Calendar;
    WCHAR text[8] = {};
    const String expected = IntToStr(c.Expected);
    EXPECT_EQ(GetCalendarInfoW(0x0416, c.Calendar, CAL_ITWODIGITYEARMAX | c.Flags, text, 8, nullptr),
              static_cast<int>(expected.size()) + 1);
    EXPECT_EQ(String(text), expected);
    SetCalendarTwoDigitYearMax(c.Calendar, 0);
  }
}

TEST(NlsCalendar, RefusesWhatItCannotAnswer) {
  struct TCase {
    LCID Locale;
    CALID Calendar;
    CALTYPE Type;
    int BufferSize;
    DWORD Error;
  };
  const TCase cases[] = {
      {0x7C7C, CAL_GREGORIAN, CAL_ITWODIGITYEARMAX, 8, ERROR_INVALID_PARAMETER},  // no such locale
      {0x0409, 0, CAL_ITWODIGITYEARMAX, 8, ERROR_INVALID_PARAMETER},
      {0x0409, 13, CAL_ITWODIGITYEARMAX, 8, ERROR_INVALID_PARAMETER},
      {0x0409, CAL_GREGORIAN, 0x7F, 8, ERROR_INVALID_FLAGS},
      {0x0409, CAL_GREGORIAN, CAL_ITWODIGITYEARMAX, 4, ERROR_INSUFFICIENT_BUFFER},
  };
  for (const TCase& c : cases) {
    WCHAR text[8] = {};
    SetLastError(0);
    EXPECT_EQ(GetCalendarInfoW(c.Locale, c.Calendar, c.Type, text, c.BufferSize, nullptr), 0);
    EXPECT_EQ(GetLastError(), c.Error) << c.Locale << " " << c.Calendar;
  }
  // The size needed, and the calendar's own identifier.
  EXPECT_EQ(GetCalendarInfoW(0x0409, CAL_GREGORIAN, CAL_ITWODIGITYEARMAX, nullptr, 0, nullptr), 5);
  DWORD id = 0;
  EXPECT_EQ(GetCalendarInfoW(0x0409, CAL_HIJRI, CAL_ICALINTVALUE | CAL_RETURN_NUMBER, nullptr, 0, &id), 2);
  EXPECT_EQ(id, CAL_HIJRI);
}

TEST(NlsCalendar, BoundByNameFromKernel32) {
  using TGetCalendarInfo = int (*)(LCID, CALID, CALTYPE, WCHAR*, int, DWORD*);
  auto proc = reinterpret_cast<TGetCalendarInfo>(
      GetProcAddress(GetModuleHandleW(u"kernel32.dll"), "GetCalendarInfoW"));
  ASSERT_NE(proc, nullptr);
  DWORD value = 0;
  EXPECT_EQ(proc(LOCALE_USER_DEFAULT, CAL_THAI, CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, nullptr, 0, &value),
            2);
  EXPECT_EQ(value, 2592u);
}

}  // namespace
}  // namespace qd
