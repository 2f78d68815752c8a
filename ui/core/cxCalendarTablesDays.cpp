#include "ui/core/cxCalendarTablesDays.h"

#include <cmath>
#include <cstdlib>

#include "platform/base/format.h"
#include "ui/core/cxCalendarTables.h"

namespace qd::cxCalendarDays {
namespace {

constexpr int64_t kMSecsPerDay = 86400000;

int64_t MSecsOf(TDateTime ADate) {
  if (!std::isfinite(ADate)) return 0;
  return std::llround(ADate * MSecsPerDay);
}

bool IsLeap(int64_t AYear) {
  return FloorMod(AYear, 4) == 0 && (FloorMod(AYear, 100) != 0 || FloorMod(AYear, 400) == 0);
}

}  // namespace

int64_t DayOf(TDateTime ADate) {
  return MSecsOf(ADate) / kMSecsPerDay;
}

double TimeOf(TDateTime ADate) {
  return static_cast<double>(std::llabs(MSecsOf(ADate) % kMSecsPerDay)) / MSecsPerDay;
}

TDateTime Compose(int64_t ADay, double ATime) {
  return ADay >= 0 ? static_cast<double>(ADay) + ATime : static_cast<double>(ADay) - ATime;
}

TDateTime IncDays(TDateTime ADate, int64_t ACount) {
  return Compose(DayOf(ADate) + ACount, TimeOf(ADate));
}

int32_t WeekDayOfDay(int64_t ADay) {
  // Day 0 (1899-12-30) was a Saturday.
  return static_cast<int32_t>(FloorMod(ADay + 6, 7));
}

int64_t GregorianDay(int64_t AYear, int32_t AMonth, int32_t ADay) {
  static constexpr int32_t kBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  int64_t days = kBefore[AMonth - 1] + ADay;
  if (AMonth > 2 && IsLeap(AYear)) ++days;
  const int64_t y = AYear - 1;
  return y * 365 + FloorDiv(y, 4) - FloorDiv(y, 100) + FloorDiv(y, 400) + days - DateDelta;
}

TDateTime EndOfDay(int32_t AYear, int32_t AMonth, int32_t ADay) {
  return EncodeDate(AYear, AMonth, ADay) + EncodeTime(23, 59, 59, 999);
}

TDateTime EncodeTimeOf(const TcxDateTime& ADate) {
  return EncodeTime(ADate.Hours, ADate.Minutes, ADate.Seconds, ADate.Milliseconds);
}

void DecodeTimeInto(TDateTime ADate, TcxDateTime& AResult) {
  int h, m, s, ms;
  DecodeTime(ADate, h, m, s, ms);
  AResult.Hours = static_cast<uint8_t>(h);
  AResult.Minutes = static_cast<uint8_t>(m);
  AResult.Seconds = static_cast<uint8_t>(s);
  AResult.Milliseconds = static_cast<uint16_t>(ms);
}

}  // namespace qd::cxCalendarDays
