// The locale-identifier to culture-name table, checked against ICU's identifier table.
#include <gtest/gtest.h>
#include <unicode/uloc.h>

#include <map>
#include <string>

#include "platform/base/strings.h"
#include "ui/core/dxCultureInfo.h"

namespace qd::testing {
namespace {

class CultureInfoTest : public ::testing::Test {
 protected:
  void SetUp() override { dxCultureInfo::Initialize(); }
  void TearDown() override { dxCultureInfo::Finalize(); }

  static bool Lookup(int32_t id, std::string& name) {
    String s;
    if (!TdxCultureInfoHelper::TryGetCultureName(id, s)) return false;
    name = StringToUtf8(s);
    return true;
  }
};

TEST_F(CultureInfoTest, KnownIdentifiers) {
  struct Case {
    int32_t id;
    bool present;
    const char* name;
  } cases[] = {
      {0x0416, true, "pt-BR"},   {0x0016, true, "pt"},      {0x007F, true, ""},
      {0x0400, false, ""},       {0x0409, true, "en-US"},   {0x0816, true, "pt-PT"},
      {0x0804, true, "zh-CN"},   {0x0004, true, "zh-Hans"}, {0x7C04, true, "zh-Hant"},
      {0x7C92, true, "ku-Arab"}, {0x0092, true, "ku"},      {0x0091, true, "gd"},
      {0x7C46, true, "pa-Arab"}, {0x7C14, true, "nb"},      {0x0030, false, ""},
      {0x008D, false, ""},       {0x0090, false, ""},       {0x040A, false, ""},
      {0x0000, false, ""},       {0x0093, false, ""},
  };
  for (const Case& c : cases) {
    std::string name;
    EXPECT_EQ(Lookup(c.id, name), c.present) << std::hex << c.id;
    if (c.present) {
      EXPECT_EQ(name, c.name) << std::hex << c.id;
    }
  }
  EXPECT_EQ(TdxCultureInfoHelper::Count(), 376);
}

// Every name is ICU's name of the identifier, except where the published table names the
// identifier differently (traditional Chinese regions, Quechua, Dari, Central Kurdish, K'iche',
// the invariant locale and two script-neutral identifiers).
TEST_F(CultureInfoTest, NamesAgreeWithIcu) {
  const std::map<int32_t, std::string> published = {
      {0x0404, "zh-TW"},   {0x0C04, "zh-HK"},       {0x1004, "zh-SG"},    {0x1404, "zh-MO"},
      {0x006B, "quz"},     {0x046B, "quz-BO"},      {0x086B, "quz-EC"},   {0x0C6B, "quz-PE"},
      {0x008C, "prs"},     {0x048C, "prs-AF"},      {0x0092, "ku"},       {0x0492, "ku-Arab-IQ"},
      {0x7C92, "ku-Arab"}, {0x7C46, "pa-Arab"},     {0x785F, "tzm-Tfng"}, {0x007F, ""},
      {0x0086, "quc"},     {0x0486, "quc-Latn-GT"},
  };
  int checked = 0;
  for (int32_t id = 0; id <= 0xFFFF; ++id) {
    std::string name;
    if (!Lookup(id, name)) continue;
    ++checked;
    if (auto it = published.find(id); it != published.end()) {
      EXPECT_EQ(name, it->second) << std::hex << id;
      continue;
    }
    char locale[ULOC_FULLNAME_CAPACITY] = {};
    char tag[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode err = U_ZERO_ERROR;
    uloc_getLocaleForLCID(static_cast<uint32_t>(id), locale, sizeof(locale), &err);
    ASSERT_TRUE(U_SUCCESS(err)) << std::hex << id;
    uloc_toLanguageTag(locale, tag, sizeof(tag), false, &err);
    ASSERT_TRUE(U_SUCCESS(err)) << std::hex << id;
    EXPECT_EQ(name, tag) << std::hex << id;
  }
  EXPECT_EQ(checked, TdxCultureInfoHelper::Count());
}

TEST_F(CultureInfoTest, NothingBeforeInitializeOrAfterFinalize) {
  dxCultureInfo::Finalize();
  std::string name;
  EXPECT_FALSE(Lookup(0x0416, name));
  EXPECT_EQ(TdxCultureInfoHelper::Count(), 0);
}

}  // namespace
}  // namespace qd::testing
