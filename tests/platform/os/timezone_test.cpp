// Time zones from the tz database: rules in the original platform's form, the current zone
// and the by-name export.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/base/strings.h"
#include "platform/os/kernel.h"
#include "platform/os/timezone.h"

namespace qd::testing {
namespace {

struct TziFields {
  int32_t Bias, StandardBias, DaylightBias;
  SYSTEMTIME StandardDate, DaylightDate;
};

TziFields Fields(const TBytes& ABytes) {
  TziFields f;
  EXPECT_EQ(ABytes.size(), sizeof(f));
  std::memcpy(&f, ABytes.data(), sizeof(f));
  return f;
}

// month/week/day-of-week/hour:minute, or "-" for no transition.
std::string Describe(const SYSTEMTIME& st) {
  if (st.wMonth == 0) return "-";
  return std::to_string(st.wMonth) + "/" + std::to_string(st.wDay) + "/" + std::to_string(st.wDayOfWeek) +
         "/" + std::to_string(st.wHour) + ":" + std::to_string(st.wMinute);
}

TEST(TimeZones, RulesOfZones) {
  struct Case {
    const char16_t* name;
    const char* key;
    int32_t bias, daylightBias;
    const char* daylightStarts;
    const char* standardResumes;
  } cases[] = {
      {u"America/New_York", "Eastern Standard Time", 300, -60, "3/2/0/2:0", "11/1/0/2:0"},
      {u"Eastern Standard Time", "Eastern Standard Time", 300, -60, "3/2/0/2:0", "11/1/0/2:0"},
      {u"Europe/Berlin", "W. Europe Standard Time", -60, -60, "3/5/0/2:0", "10/5/0/3:0"},
      {u"Europe/London", "GMT Standard Time", 0, -60, "3/5/0/1:0", "10/5/0/2:0"},
      {u"Australia/Sydney", "AUS Eastern Standard Time", -600, -60, "10/1/0/2:0", "4/1/0/3:0"},
      {u"Asia/Tokyo", "Tokyo Standard Time", -540, 0, "-", "-"},
      {u"Asia/Kolkata", "India Standard Time", -330, 0, "-", "-"},
      {u"America/Sao_Paulo", "E. South America Standard Time", 180, 0, "-", "-"},
  };
  for (const auto& c : cases) {
    os::TimeZoneRecord rec;
    ASSERT_TRUE(os::SystemTimeZone(c.name, 2024, 2024, 2024, rec)) << StringToUtf8(c.name);
    EXPECT_EQ(StringToUtf8(rec.KeyName), c.key);
    EXPECT_EQ(StringToUtf8(rec.Std), c.key);
    const TziFields f = Fields(rec.TZI);
    EXPECT_EQ(f.Bias, c.bias) << c.key;
    EXPECT_EQ(f.StandardBias, 0) << c.key;
    EXPECT_EQ(f.DaylightBias, c.daylightBias) << c.key;
    EXPECT_EQ(Describe(f.DaylightDate), c.daylightStarts) << c.key;
    EXPECT_EQ(Describe(f.StandardDate), c.standardResumes) << c.key;
    EXPECT_TRUE(rec.DynamicDST.empty()) << c.key;
  }
  os::TimeZoneRecord rec;
  EXPECT_FALSE(os::SystemTimeZone(u"Nowhere/Atlantis", 2024, 2024, 2024, rec));
}

TEST(TimeZones, YearsWithOtherRulesAreListed) {
  // Brazil observed daylight time until the summer of 2018/2019.
  os::TimeZoneRecord rec;
  ASSERT_TRUE(os::SystemTimeZone(u"America/Sao_Paulo", 2016, 2020, 2024, rec));
  EXPECT_EQ(rec.FirstEntry, 2016);
  EXPECT_EQ(rec.LastEntry, 2020);
  ASSERT_EQ(rec.DynamicDST.size(), 5u);
  EXPECT_EQ(Describe(Fields(rec.DynamicDST[0]).DaylightDate), "10/3/0/0:0");
  EXPECT_EQ(Describe(Fields(rec.DynamicDST[2]).DaylightDate), "11/1/0/0:0");
  EXPECT_EQ(Describe(Fields(rec.DynamicDST[4]).DaylightDate), "-");
}

TEST(TimeZones, CurrentZone) {
  os::SetTimeZoneForTesting("Asia/Tokyo");
  TIME_ZONE_INFORMATION tzi;
  EXPECT_EQ(GetTimeZoneInformation(&tzi), TIME_ZONE_ID_UNKNOWN);
  EXPECT_EQ(tzi.Bias, -540);
  EXPECT_EQ(std::u16string(tzi.StandardName), u"Tokyo Standard Time");
  EXPECT_EQ(std::u16string(tzi.DaylightName), u"Tokyo Daylight Time");

  os::SetTimeZoneForTesting("Europe/Berlin");
  DYNAMIC_TIME_ZONE_INFORMATION dtzi;
  const DWORD r = GetDynamicTimeZoneInformation(&dtzi);
  EXPECT_TRUE(r == TIME_ZONE_ID_STANDARD || r == TIME_ZONE_ID_DAYLIGHT);
  EXPECT_EQ(std::u16string(dtzi.TimeZoneKeyName), u"W. Europe Standard Time");
  EXPECT_EQ(dtzi.Bias, -60);
  EXPECT_EQ(dtzi.DaylightDate.wMonth, 3);

  // Bound by name, as the library finds it.
  using Proc = DWORD (*)(DYNAMIC_TIME_ZONE_INFORMATION*);
  auto proc = reinterpret_cast<Proc>(
      GetProcAddress(GetModuleHandleW(u"kernel32.dll"), "GetDynamicTimeZoneInformation"));
  ASSERT_NE(proc, nullptr);
  DYNAMIC_TIME_ZONE_INFORMATION viaExport;
  EXPECT_NE(proc(&viaExport), TIME_ZONE_ID_INVALID);
  EXPECT_EQ(std::u16string(viaExport.TimeZoneKeyName), u"W. Europe Standard Time");
  EXPECT_EQ(GetTimeZoneInformation(nullptr), TIME_ZONE_ID_INVALID);
  os::SetTimeZoneForTesting("");
}

}  // namespace
}  // namespace qd::testing
