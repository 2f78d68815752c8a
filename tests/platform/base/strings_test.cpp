#include <gtest/gtest.h>

#include "platform/base/exceptions.h"
#include "platform/base/strings.h"

namespace qd {
namespace {

TEST(StrToInt, AcceptsBlanksSignsAndHexAndFallsBackOnAnythingElse) {
  struct Case {
    const char16_t* text;
    int32_t want;  // -7777 is the default
  } cases[] = {
      {u"42", 42},
      {u"  42  ", 42},
      {u"\t-17", -17},
      {u"+8", 8},
      {u"$1F", 31},
      {u"0x1f", 31},
      {u"0X10", 16},
      {u"-$10", -16},
      {u"$FFFFFFFF", -1},
      {u"2147483647", 2147483647},
      {u"-2147483648", INT32_MIN},
      {u"2147483648", -7777},
      {u"$100000000", -7777},
      {u"", -7777},
      {u"   ", -7777},
      {u"-", -7777},
      {u"$", -7777},
      {u"0x", -7777},
      {u"12a", -7777},
      {u"1 2", -7777},
      {u"1.0", -7777},
      {u"--1", -7777},
      {u"\uFF11", -7777},
  };
  for (const auto& c : cases) EXPECT_EQ(StrToIntDef(c.text, -7777), c.want) << StringToUtf8(c.text);

  EXPECT_EQ(StrToInt64Def(u"9223372036854775807", 0), INT64_MAX);
  EXPECT_EQ(StrToInt64Def(u"-9223372036854775808", 0), INT64_MIN);
  EXPECT_EQ(StrToInt64Def(u"9223372036854775808", 5), 5);
  EXPECT_EQ(StrToInt64Def(u"$FFFFFFFFFFFFFFFF", 0), -1);
  EXPECT_EQ(StrToInt64Def(u"4294967296", 0), 4294967296);

  try {
    StrToInt(u"abc");
    ADD_FAILURE() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"'abc' is not a valid integer value");
  }
  EXPECT_EQ(IntToHex(0xBEEF, 8), u"0000BEEF");
  EXPECT_EQ(IntToHex(0x12345, 2), u"12345");
  EXPECT_EQ(IntToHex(0, 0), u"0");
}

TEST(CodePages, DecodeEncodeAndReplaceUnmappable) {
  struct Case {
    uint32_t codePage;
    std::string bytes;
    String text;
  } cases[] = {
      {CP_WINDOWS1252, "\x80\x9F\xE7\x81", u"\u20AC\u0178\u00E7\u0081"},
      {CP_WINDOWS1252, "\x93ok\x94", u"\u201Cok\u201D"},
      {CP_LATIN1, "\x80\xE7", u"\u0080\u00E7"},
      {CP_OEM437, "\x80\x87\xE1\xFF", u"\u00C7\u00E7\u00DF\u00A0"},
      {CP_OEM437, "\xB0\x9E", u"\u2591\u20A7"},
      {CP_UTF8, "a\xC3\xA7", u"a\u00E7"},
      {1250, "\x8A", u"\u0160"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodeCodePage(c.bytes, c.codePage), c.text) << c.codePage;
    EXPECT_EQ(EncodeCodePage(c.text, c.codePage), c.bytes) << c.codePage;
  }
  // Every byte of the single-byte pages survives a round trip.
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  for (uint32_t cp : {CP_WINDOWS1252, CP_LATIN1, CP_OEM437})
    EXPECT_EQ(EncodeCodePage(DecodeCodePage(all, cp), cp), all) << cp;

  EXPECT_EQ(EncodeCodePage(u"a\u0100\u20AC\U0001F600b", CP_WINDOWS1252), "a?\x80?b");
  EXPECT_EQ(EncodeCodePage(u"\u20AC", CP_LATIN1), "?");
  EXPECT_EQ(EncodeCodePage(u"\u20AC", CP_OEM437), "?");
}

TEST(CodePages, RecognisesWellFormedUtf8) {
  struct Case {
    std::string bytes;
    bool valid;
  } cases[] = {
      {"", true},
      {"plain", true},
      {"\xC3\xA7", true},
      {"\xE2\x82\xAC", true},
      {"\xF0\x9F\x98\x80", true},
      {"\xC3", false},
      {"\xC0\x80", false},
      {"\xE0\x80\x80", false},
      {"\xED\xA0\x80", false},
      {"\xF4\x90\x80\x80", false},
      {"\xFF", false},
      {"\x80", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << testing::PrintToString(c.bytes);
}

TEST(Case, MapsOneToOneAcrossScripts) {
  struct Case {
    String lower, upper;
  } cases[] = {
      {u"ação", u"AÇÃO"},         {u"straße", u"STRAßE"},  // no single upper-case letter for ß
      {u"αβγ ωσ", u"ΑΒΓ ΩΣ"},     {u"привет", u"ПРИВЕТ"},
      {u"abc123_-", u"ABC123_-"}, {u"\U00010428", u"\U00010400"},  // Deseret, outside the BMP
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UpperCase(c.lower), c.upper) << StringToUtf8(c.lower);
    EXPECT_EQ(LowerCase(c.upper), c.lower) << StringToUtf8(c.upper);
  }
  EXPECT_EQ(UpCase(u'ç'), u'Ç');
  EXPECT_EQ(LoCase(u'Ç'), u'ç');
  EXPECT_EQ(UpCase(u'ß'), u'ß');
  EXPECT_EQ(UpCase(u'ς'), u'Σ');
  EXPECT_EQ(UpCase(char16_t(0xD801)), char16_t(0xD801));
}

TEST(Compare, OrdinalAndCaseInsensitive) {
  EXPECT_TRUE(SameText(u"Seção", u"SEÇÃO"));
  EXPECT_FALSE(SameText(u"abc", u"abcd"));
  EXPECT_EQ(CompareText(u"abc", u"ABC"), 0);
  EXPECT_LT(CompareText(u"abc", u"ABD"), 0);
  EXPECT_GT(CompareText(u"abcd", u"ABC"), 0);
  EXPECT_LT(CompareStr(u"ABC", u"abc"), 0);
  EXPECT_GT(CompareStr(u"b", u"abc"), 0);
  EXPECT_LT(CompareStr(u"ab", u"abc"), 0);
  EXPECT_EQ(CompareStr(u"x", u"x"), 0);
  EXPECT_TRUE(StartsText(u"PRO", u"produto"));
  EXPECT_FALSE(StartsText(u"produtos", u"produto"));
  EXPECT_TRUE(EndsText(u".ZIP", u"pacote.zip"));
  EXPECT_FALSE(EndsStr(u".ZIP", u"pacote.zip"));
  EXPECT_TRUE(StartsStr(u"", u"x"));
}

}  // namespace
}  // namespace qd
