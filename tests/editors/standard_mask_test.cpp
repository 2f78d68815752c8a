#include <gtest/gtest.h>

#include <string>

#include "platform/base/format.h"
#include "platform/base/strings.h"
#include "ui/editors/cxStandardMask.h"

namespace qd {
namespace {

String Formatted(const String& AMask, String AText, bool AMatch = true, bool AChangeCase = true) {
  TcxStandardMask mask;
  mask.Compile(AMask);
  mask.Format(AText, AChangeCase, AMatch);
  return AText;
}

TEST(StandardMask, CompileTails) {
  TcxStandardMask mask;
  mask.Compile(u"(000)000-0000;0;_");
  EXPECT_FALSE(mask.SaveLiteralCharacters());
  EXPECT_EQ(mask.Blank(), u'_');
  EXPECT_EQ(mask.Count(), 13);
  EXPECT_EQ(mask.FullEmptyString(), u"(___)___-____");
  EXPECT_EQ(mask.EmptyString(), String(10, u' '));

  mask.Compile(u"99;0");
  EXPECT_FALSE(mask.SaveLiteralCharacters());
  EXPECT_EQ(mask.Blank(), u'_');
  EXPECT_EQ(mask.Count(), 2);

  mask.Compile(u"9;1;*");
  EXPECT_TRUE(mask.SaveLiteralCharacters());
  EXPECT_EQ(mask.FullEmptyString(), u"*");

  // Not a tail: the characters are literals.
  mask.Compile(u";x;_9");
  EXPECT_EQ(mask.Count(), 5);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(mask.IsLiteral(i));
  EXPECT_FALSE(mask.IsLiteral(4));
  EXPECT_EQ(mask.FullEmptyString(), u";x;__");

  mask.Compile(u"\\L\\9L\\");
  EXPECT_EQ(mask.Count(), 3);
  EXPECT_EQ(mask.FullEmptyString(), u"L9_");
  EXPECT_EQ(mask.EmptyString(), u"L9 ");

  mask.Compile(u"!99");
  EXPECT_TRUE(mask.Leading());
  EXPECT_EQ(mask.Count(), 2);
  EXPECT_EQ(mask.Mask(), u"!99");
  mask.Compile(u"99");
  EXPECT_FALSE(mask.Leading());
}

TEST(StandardMask, SeparatorsAtCompileTime) {
  const TFormatSettings saved = FormatSettings();
  FormatSettings().DateSeparator = u'.';
  FormatSettings().TimeSeparator = u'h';
  TcxStandardMask mask;
  mask.Compile(u"99/99 99:99");
  FormatSettings() = saved;
  EXPECT_EQ(mask.FullEmptyString(), u"__.__ __h__");
}

TEST(StandardMask, Format) {
  struct {
    String Mask;
    String Text;
    bool Match;
    String Result;
  } rows[] = {
      {u"!999", u"12", true, u"_12"},
      {u"999", u"12", true, u"12_"},
      {u"(000)000-0000;0;_", u"5551234567", false, u"(555)123-4567"},
      // With the full length the text is taken to hold its literals.
      {u"(000)000-0000;0;_", u"(555)123-4567", false, u"(555)123-4567"},
      {u"(000)000-0000;1;_", u"5551234567", false, u"(555)123-4567"},
      {u"(999)000-0000", u"12", true, u"(12_)___-____"},
      // A blank keeps its class position; a character no remaining item takes is dropped.
      {u"9-9-9", u"1 3", true, u"1-_-3"},
      {u"99", u"1x2y3", true, u"12"},
      {u"a9\\-", u"z", true, u"z_-"},
      {u"-x-", u"q", true, u"-x-"},
      {u"-x-", u"x", true, u"-x-"},
      {u">LL", u"ab", true, u"AB"},
      {u">L<>L", u"ab", true, u"Ab"},
      {u"<ll", u"AB", true, u"ab"},
      {u"#9", u"-5", true, u"-5"},
      {u"LLL", u"a1b", true, u"ab_"},
      {u"AAA", u"a1!", true, u"a1_"},
      {u"!00-00", u"123", true, u"_1-23"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(Formatted(row.Mask, row.Text, row.Match), row.Result)
        << StringToUtf8(row.Mask) << " / " << StringToUtf8(row.Text);
  EXPECT_EQ(Formatted(u">LL", u"ab", true, false), u"ab");
}

TEST(StandardMask, Format2AndValidity) {
  TcxStandardMask mask;
  mask.Compile(u"(000)000-0000;0;_");
  String text = u"(555)12_-4567";
  mask.Format2(text);
  EXPECT_EQ(text, u"55512 4567");
  mask.Compile(u"(000)000-0000;1;_");
  text = u"(555)12_-4567";
  mask.Format2(text);
  EXPECT_EQ(text, u"(555)12 -4567");

  mask.Compile(u"0>9L");
  struct {
    String Text;
    bool Valid;
    bool FullValid;
    String After;
  } rows[] = {
      {u"12a", true, true, u"12A"},     {u"_2a", true, false, u"_2A"},  // a blank at a required position
      {u"1_a", true, true, u"1_A"},                                     // and at an optional one
      {u"1 a", true, true, u"1 A"},     {u"12", true, false, u"12"},
      {u"12a3", false, false, u"12a3"}, {u"x2a", false, false, u"x2a"},
  };
  for (const auto& row : rows) {
    String valid = row.Text;
    String fullValid = row.Text;
    EXPECT_EQ(mask.IsValid(valid), row.Valid) << StringToUtf8(row.Text);
    EXPECT_EQ(mask.IsFullValid(fullValid), row.FullValid) << StringToUtf8(row.Text);
    if (row.Valid) {
      EXPECT_EQ(valid, row.After) << StringToUtf8(row.Text);
    }
  }
}

}  // namespace
}  // namespace qd
