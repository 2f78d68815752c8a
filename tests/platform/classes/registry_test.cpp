#include <gtest/gtest.h>

#include "platform/classes/lists.h"
#include "platform/classes/registry.h"

namespace qd {
namespace {

struct RegistryTest : ::testing::Test {
  void TearDown() override { RegistryClear(); }
};

TEST_F(RegistryTest, EmptyByDefault) {
  HKEY k = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Control Panel\\Desktop\\WindowMetrics", 0, KEY_READ, &k), 2);
  EXPECT_EQ(k, nullptr);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExW(HKEY_CURRENT_USER, u"AppliedDPI", nullptr, nullptr, nullptr, &size), 2);
  TRegistry reg(KEY_READ);
  EXPECT_FALSE(reg.OpenKeyReadOnly(u"\\Software\\Anything"));
  EXPECT_FALSE(reg.OpenKey(u"Software", true));  // never created
  EXPECT_FALSE(reg.KeyExists(u"Software"));
  EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"x", 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr), 5);
}

TEST_F(RegistryTest, ValuesFilledByATest) {
  RegistrySetDWORD(HKEY_CURRENT_USER, u"Control Panel\\Desktop\\WindowMetrics", u"AppliedDPI", 120);
  RegistrySetString(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Time Zones\\E. South America Standard Time", u"Std",
                    u"Hora oficial do Brasil");
  RegistryCreateKey(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Time Zones\\UTC");

  HKEY k = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"control panel\\DESKTOP\\WindowMetrics", 0, KEY_READ, &k), 0);
  DWORD type = 0, value = 0, size = 2;
  EXPECT_EQ(RegQueryValueExW(k, u"applieddpi", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), 234);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(RegQueryValueExW(k, u"AppliedDPI", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), 0);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(value, 120u);
  EXPECT_EQ(RegCloseKey(k), 0);
  EXPECT_EQ(RegCloseKey(k), 6);

  TRegistry reg(KEY_READ);
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKeyReadOnly(u"\\SOFTWARE\\Time Zones"));
  TStringList names;
  reg.GetKeyNames(&names);
  EXPECT_EQ(names.CommaText(), u"\"E. South America Standard Time\",UTC");
  EXPECT_TRUE(reg.HasSubKeys());
  ASSERT_TRUE(reg.OpenKey(u"E. South America Standard Time", false));  // relative to the current key
  EXPECT_EQ(reg.CurrentPath(), u"SOFTWARE\\Time Zones\\E. South America Standard Time");
  EXPECT_EQ(reg.ReadString(u"Std"), u"Hora oficial do Brasil");
  EXPECT_EQ(reg.ReadString(u"missing"), u"");
  EXPECT_TRUE(reg.ValueExists(u"STD"));
  EXPECT_EQ(reg.GetDataType(u"Std"), rdString);
  reg.GetValueNames(&names);
  EXPECT_EQ(names.CommaText(), u"Std");
  try {
    reg.ReadInteger(u"Std");
    FAIL();
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), u"Invalid data type for 'Std'");
  }
  try {
    reg.ReadInteger(u"Dlt");
    FAIL();
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), u"Failed to get data for 'Dlt'");
  }
  reg.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.OpenKeyReadOnly(u"Control Panel\\Desktop\\WindowMetrics"));
  EXPECT_EQ(reg.ReadInteger(u"AppliedDPI"), 120);
  EXPECT_THROW(reg.ReadString(u"AppliedDPI"), ERegistryException);
}

}  // namespace
}  // namespace qd
