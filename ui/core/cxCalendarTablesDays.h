#pragma once
// Day arithmetic on the platform's date-time shared by the calendar tables. A date-time's
// integer part (toward zero) is the day and the absolute fraction the time of day, so
// -1.25 is 1899-12-29 06:00; adding days to the value itself goes wrong around and below
// zero, so the tables move whole days on the day number.
#include <cstdint>

#include "platform/base/types.h"

namespace qd {
struct TcxDateTime;
}

namespace qd::cxCalendarDays {

// The day (days since 1899-12-30) as the platform's decoding sees it: rounded to the
// millisecond, then the integer part.
int64_t DayOf(TDateTime ADate);
// The time of day, 0 <= t < 1.
double TimeOf(TDateTime ADate);
// The date-time of a day and a time of day.
TDateTime Compose(int64_t ADay, double ATime);
// ADate moved by ACount days, the time of day kept.
TDateTime IncDays(TDateTime ADate, int64_t ACount);
// 0 = Sunday.
int32_t WeekDayOfDay(int64_t ADay);
// The day of a Gregorian date by the proleptic rules, for any year (no range check).
int64_t GregorianDay(int64_t AYear, int32_t AMonth, int32_t ADay);
// The last millisecond of a date.
TDateTime EndOfDay(int32_t AYear, int32_t AMonth, int32_t ADay);
// The time of day of a date-time record's fields, and those fields from a date-time.
TDateTime EncodeTimeOf(const TcxDateTime& ADate);
void DecodeTimeInto(TDateTime ADate, TcxDateTime& AResult);
// Floor division and modulo.
constexpr int64_t FloorDiv(int64_t A, int64_t B) {
  return A / B - ((A % B != 0) && ((A < 0) != (B < 0)) ? 1 : 0);
}
constexpr int64_t FloorMod(int64_t A, int64_t B) {
  return A - FloorDiv(A, B) * B;
}

}  // namespace qd::cxCalendarDays
