#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform/base/format.h"
#include "platform/os/user_edit.h"
#include "tests/editors/mask_mode_test_util.h"

namespace qd {
namespace {

using test::FakeMaskEdit;

// The text with the selection in brackets ("(5[_])" for a block caret) or a bar for a
// plain caret.
std::string Shown(const FakeMaskEdit& AEdit) {
  String text = AEdit.Text();
  const size_t start = static_cast<size_t>(AEdit.SelStart());
  const size_t count = static_cast<size_t>(AEdit.SelLength());
  if (count == 0) {
    text.insert(start, u"|");
  } else {
    text.insert(start + count, u"]");
    text.insert(start, u"[");
  }
  return StringToUtf8(text);
}

size_t Beeps() {
  return os::TakeBeepsForTesting().size();
}

struct TStep {
  std::string Action;
  std::function<void(FakeMaskEdit&)> Do;
  std::string Shown;
  size_t Beeps = 0;
};

void RunSteps(FakeMaskEdit& AEdit, const std::vector<TStep>& ASteps) {
  Beeps();
  for (const auto& step : ASteps) {
    step.Do(AEdit);
    EXPECT_EQ(Shown(AEdit), step.Shown) << step.Action;
    EXPECT_EQ(Beeps(), step.Beeps) << step.Action;
  }
}

auto Type(const String& AText) {
  return [AText](FakeMaskEdit& AEdit) { AEdit.Type(AText); };
}
auto Key(uint16_t AKey, bool AShift = false) {
  return [AKey, AShift](FakeMaskEdit& AEdit) { AEdit.KeyDown(AKey, AShift); };
}
auto Click(int32_t APos) {
  return [APos](FakeMaskEdit& AEdit) { AEdit.Click(APos); };
}
auto Select(int32_t AAnchor, int32_t ACaret) {
  return [AAnchor, ACaret](FakeMaskEdit& AEdit) { AEdit.Select(AAnchor, ACaret); };
}
void Backspace(FakeMaskEdit& AEdit) {
  AEdit.Backspace();
}

// --- Standard mask ----------------------------------------------------------------------

TEST(MaskModeStandard, TypingTable) {
  FakeMaskEdit edit(emkStandard, u"(999)000-0000");
  RunSteps(edit, {
                     {"click at the start", Click(0), "[(]___)___-____"},
                     {"5 skips the parenthesis", Type(u"5"), "(5[_]_)___-____"},
                     {"5", Type(u"5"), "(55[_])___-____"},
                     {"5 passes the literal", Type(u"5"), "(555)[_]__-____"},
                     {"a letter is ignored", Type(u"x"), "(555)[_]__-____"},
                     {"1", Type(u"1"), "(555)1[_]_-____"},
                     {"backspace blanks the digit", Backspace, "(555)[_]__-____"},
                     {"backspace passes the literal", Backspace, "(55[_])___-____"},
                     {"home goes to the first digit", Key(VK_HOME), "([5]5_)___-____"},
                     {"end", Key(VK_END), "(55_)___-____|"},
                     {"nothing is typed at the end", Type(u"7"), "(55_)___-____|"},
                     {"left", Key(VK_LEFT), "(55_)___-___[_]"},
                     {"the last digit", Type(u"4"), "(55_)___-___4|"},
                     {"click on a literal", Click(4), "(55_[)]___-___4"},
                     {"typing on a literal moves on", Type(u"8"), "(55_)8[_]_-___4"},
                     {"right", Key(VK_RIGHT), "(55_)8_[_]-___4"},
                     {"right passes the dash", Key(VK_RIGHT), "(55_)8__-[_]__4"},
                     {"left passes the dash back", Key(VK_LEFT), "(55_)8_[_]-___4"},
                     {"delete blanks the block", Key(VK_DELETE), "(55_)8_[_]-___4"},
                     {"a selection", Select(1, 6), "([55_)8]__-___4"},
                     {"typing over it clears it first", Type(u"9"), "(9[_]_)___-___4"},
                     {"a selection again", Select(2, 14), "(9[__)___-___4]"},
                     {"delete blanks its class positions", Key(VK_DELETE), "(9[_]_)___-____"},
                     {"backspace at the first digit blanks it", Key(VK_HOME), "([9]__)___-____"},
                     {"(the caret cannot go further left)", Backspace, "([_]__)___-____"},
                 });
  EXPECT_EQ(edit.ChangeEventsLocked, 0);
}

TEST(MaskModeStandard, DeleteWithPlainCaretAndCharacterChecks) {
  FakeMaskEdit edit(emkStandard, u"(999)000-0000");
  edit.Click(1);
  edit.Type(u"123");
  edit.DirectSetSelStart(2);  // a plain caret, nothing selected
  Beeps();
  edit.KeyDown(VK_DELETE);
  EXPECT_EQ(Shown(edit), "(1|23)___-____");

  edit.Click(5);
  edit.RefusedPos = 6;
  edit.Type(u"4");
  EXPECT_EQ(Shown(edit), "(123)[_]__-____");
  EXPECT_EQ(Beeps(), 0u);
  edit.RefusedPos = -1;
  edit.ClearedPos = 6;
  edit.Type(u"4");
  EXPECT_EQ(Shown(edit), "(123)[_]__-____");
  EXPECT_EQ(Beeps(), 1u);
}

TEST(MaskModeStandard, CaseLeadingAndPaste) {
  FakeMaskEdit upper(emkStandard, u">LL<>L");
  upper.Click(0);
  upper.Type(u"abc");
  EXPECT_EQ(Shown(upper), "ABc|");

  FakeMaskEdit phone(emkStandard, u"(000)000-0000;0;_");
  phone.Click(0);
  phone.Paste(u"5551234567");
  EXPECT_EQ(Shown(phone), "(555)123-4567|");
  EXPECT_EQ(phone.Mode().GetUpdatedText(phone.Text()), u"5551234567");
  phone.Click(5);
  phone.Paste(u"7654321");  // the pasted characters pass the dash
  EXPECT_EQ(Shown(phone), "(555)765-4321|");
}

TEST(MaskModeStandard, FormattingAndValidity) {
  FakeMaskEdit edit(emkStandard, u"(000)999;0;_");
  TcxMaskEditCustomMode& mode = edit.Mode();
  EXPECT_EQ(mode.GetEmptyString(), u"      ");
  EXPECT_EQ(mode.GetFormattedText(u"12345", false), u"(123)45_");
  EXPECT_EQ(mode.GetUpdatedText(u"(123)45_"), u"12345 ");
  EXPECT_TRUE(mode.IsFullValidText(u"(123)45_"));
  EXPECT_FALSE(mode.IsFullValidText(u"(12_)45_"));
  EXPECT_FALSE(mode.IsFullValidText(u"(___)___"));
  edit.FIgnoreMaskBlank = true;
  EXPECT_TRUE(mode.IsFullValidText(u"(___)___"));
  EXPECT_FALSE(mode.IsFullValidText(u"(12_)45_"));
}

// A mode without an editor only formats; its first compilation asks for the edit value to
// be updated once an editor is there.
TEST(MaskModeStandard, FormattingOnlyMode) {
  FakeMaskEdit properties(emkStandard, u"");
  TcxMaskEditStandardMode mode(nullptr, &properties);
  mode.Compile(u"!99-99");
  EXPECT_EQ(mode.GetFormattedText(u"123"), u"_1-23");
  EXPECT_EQ(mode.GetMaskKind(), emkStandard);
  mode.UpdateEditValue();  // no editor: nothing to update
  mode.Compile(u"   ");
  EXPECT_EQ(mode.Mask().Count(), 0);
  EXPECT_EQ(mode.GetUpdatedText(u"abc"), u"abc");
}

// --- Regular expression -----------------------------------------------------------------

TEST(MaskModeRegExpr, Scenarios) {
  FakeMaskEdit digits(emkRegExpr, u"\\d+");
  RunSteps(digits, {
                       {"a letter is refused", Type(u"a"), "|", 1},
                       {"digits", Type(u"12"), "12|"},
                       {"click between them", Click(1), "1|2"},
                       {"the tail stays", Type(u"3"), "13|2"},
                       {"a selection is replaced", Select(1, 3), "1[32]"},
                       {"by a digit", Type(u"9"), "19|"},
                       {"but not by a letter", Select(0, 1), "[1]9"},
                       {"the selection stays", Type(u"z"), "[1]9", 1},
                       {"home", Key(VK_HOME), "|19"},
                       {"end", Key(VK_END), "19|"},
                       {"left", Key(VK_LEFT), "1|9"},
                       {"backspace", Backspace, "|9"},
                       {"delete", Key(VK_DELETE), "|"},
                   });

  FakeMaskEdit classes(emkRegExpr, u"[a-c][0-9]");
  RunSteps(classes, {{"x is refused at the start", Type(u"x"), "|", 1}, {"b7", Type(u"b7"), "b7|"}});

  // A tail that no longer fits goes.
  FakeMaskEdit two(emkRegExpr, u"\\d\\d");
  RunSteps(two, {
                    {"two digits", Type(u"12"), "12|"},
                    {"at the start", Key(VK_HOME), "|12"},
                    {"a third one drops the tail", Type(u"3"), "3|"},
                });
  FakeMaskEdit alternatives(emkRegExpr, u"(ab|b)c");
  RunSteps(alternatives, {
                             {"abc", Type(u"abc"), "abc|"},
                             {"home", Key(VK_HOME), "|abc"},
                             {"delete keeps a tail that fits", Key(VK_DELETE), "|bc"},
                             {"delete of one that no longer fits clears it", Key(VK_DELETE), "|"},
                         });
  FakeMaskEdit backspace(emkRegExpr, u"ab\\d|c");
  RunSteps(backspace, {
                          {"ab1", Type(u"ab1"), "ab1|"},
                          {"before the digit", Key(VK_LEFT), "ab|1"},
                          {"backspace of the b drops the tail", Backspace, "a|"},
                      });
}

TEST(MaskModeRegExpr, CaseAndErrors) {
  FakeMaskEdit letters(emkRegExpr, u"ABC");
  letters.Type(u"abc");
  EXPECT_EQ(letters.Text(), u"ABC");
  FakeMaskEdit exact(emkRegExpr, u"ABC", false);
  exact.Type(u"abc");
  EXPECT_EQ(exact.Text(), u"");

  FakeMaskEdit edit(emkRegExpr, u"a");
  try {
    edit.Mode().Compile(u"[b-a]|");
    FAIL() << "no error";
  } catch (const EcxMaskEditError& e) {
    EXPECT_EQ(
        e.Message(),
        u"Regular expression errors:\r\nLine1, Char4: The starting character of the subrange must be less "
        u"than the finishing one\r\nThe alternative should not be empty");
  }
  edit.Mode().Compile(u"\\d+");
  EXPECT_EQ(edit.Mode().GetFormattedText(u"a1b2"), u"12");
  EXPECT_EQ(edit.Mode().GetUpdatedText(u"a1b2"), u"a1b2");
  EXPECT_TRUE(edit.Mode().IsFullValidText(u""));
  EXPECT_TRUE(edit.Mode().IsFullValidText(u"12"));
  EXPECT_FALSE(edit.Mode().IsFullValidText(u"1a"));
  edit.Mode().Compile(u"\\d\\d");
  EXPECT_FALSE(edit.Mode().IsFullValidText(u"1"));
  edit.FIgnoreMaskBlank = true;
  EXPECT_TRUE(edit.Mode().IsFullValidText(u"1"));
  edit.Mode().Compile(u" ");
  EXPECT_EQ(edit.Mode().GetFormattedText(u"12"), u"");
}

// --- Extended regular expression --------------------------------------------------------

class MaskModeRegExprEx : public ::testing::Test {
 protected:
  void SetUp() override { FSaved = FormatSettings(); }
  void TearDown() override { FormatSettings() = FSaved; }

 private:
  TFormatSettings FSaved;
};

TEST_F(MaskModeRegExprEx, DateSeparatorIsForced) {
  FormatSettings().DateSeparator = u'/';
  FakeMaskEdit edit(emkRegExprEx, u"\\d\\d/\\d\\d");
  RunSteps(edit, {
                     {"1", Type(u"1"), "1|"},
                     {"2 brings the separator", Type(u"2"), "12/|"},
                     {"backspace takes both", Backspace, "1|"},
                     {"2 again", Type(u"2"), "12/|"},
                     {"left jumps over the separator", Key(VK_LEFT), "1|2/"},
                     {"right jumps back", Key(VK_RIGHT), "12/|"},
                     {"the rest", Type(u"34"), "12/34|"},
                     {"a letter is refused", Type(u"x"), "12/34|", 1},
                     {"a click before the separator", Click(2), "12|/34"},
                     // The caret cannot stay before a forced run: typing starts after the 1.
                     {"typing in the middle drops a tail that no longer fits", Type(u"5"), "15/|"},
                 });
  EXPECT_EQ(edit.Mode().GetFormattedText(u"12"), u"12/");
  EXPECT_TRUE(edit.Mode().IsFullValidText(u"12/34"));
  EXPECT_FALSE(edit.Mode().IsFullValidText(u"12/3"));
  // The empty text is the expression's forced start (none here).
  EXPECT_TRUE(edit.Mode().IsFullValidText(u""));
}

TEST_F(MaskModeRegExprEx, LeadingLiteral) {
  FakeMaskEdit edit(emkRegExprEx, u"\\(\\d\\d\\d\\)");
  EXPECT_EQ(edit.Mode().GetEmptyString(), u"(");
  RunSteps(edit, {
                     {"the empty text", [](FakeMaskEdit&) {}, "(|"},
                     {"backspace keeps the parenthesis", Backspace, "(|", 1},
                     {"before it", Click(0), "|("},
                     {"delete keeps it", Key(VK_DELETE), "|(", 1},
                     {"a digit is refused before it", Type(u"1"), "|(", 1},
                     {"after it", Key(VK_RIGHT), "(|"},
                     {"digits bring the closing one", Type(u"123"), "(123)|"},
                     {"backspace takes the digit and the forced character", Backspace, "(12|"},
                     {"select all", Select(0, 3), "[(12]"},
                     {"typing over it keeps the parenthesis", Type(u"9"), "(9|"},
                 });
  EXPECT_TRUE(edit.Mode().IsFullValidText(u"("));
  EXPECT_FALSE(edit.Mode().IsFullValidText(u""));
}

// --- Randomised: whatever is typed, the text stays a prefix the pattern accepts ----------

bool IsAcceptedPrefix(const String& APattern, const String& AText, bool ACaseInsensitive) {
  TcxRegExpr expr;
  expr.SetCaseInsensitive(ACaseInsensitive);
  expr.Compile(APattern);
  for (Char c : AText) {
    Char token = c;
    if (!expr.Next(token)) return false;
  }
  return true;
}

void RandomTyping(TcxEditMaskKind AKind, uint32_t ASeed) {
  const struct {
    String Pattern;
    String Chars;
  } cases[] = {
      {u"\\d+", u"12a"},
      {u"[a-c][0-9]+x?", u"ab19xX"},
      {u"(ab|cd)*e?", u"abcdeE"},
      {u"\\w+@\\w+\\.(com|org)", u"ab@.comrg"},
      {u"\\d{1,3}(\\.\\d{1,3}){3}", u"12.9"},
      {u"\\(\\d\\d\\d\\)\\d\\d\\d-\\d\\d\\d\\d", u"12(-)"},
      {u"\\d\\d/\\d\\d/\\d\\d\\d\\d", u"13/"},
      {u"(0[1-9]|1[0-2]):[0-5]\\d ?(AM|PM)", u"0129:5 apm"},
  };
  std::mt19937 rng(ASeed);
  auto pick = [&](size_t ACount) { return std::uniform_int_distribution<size_t>(0, ACount - 1)(rng); };
  for (const auto& c : cases) {
    const bool caseInsensitive = pick(2) == 0;
    FakeMaskEdit edit(AKind, c.Pattern, caseInsensitive);
    auto* mode = dynamic_cast<TcxMaskEditRegExprMode*>(&edit.Mode());
    ASSERT_NE(mode, nullptr);
    std::string log;
    for (int step = 0; step < 400; ++step) {
      const size_t action = pick(12);
      const int32_t length = static_cast<int32_t>(edit.Text().size());
      bool keyAction = true;
      switch (action) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4: {
          const Char ch = c.Chars[pick(c.Chars.size())];
          edit.KeyPress(ch);
          log += StringToUtf8(String(1, ch));
          break;
        }
        case 5:
          edit.Backspace();
          log += "<BS>";
          break;
        case 6:
          edit.KeyDown(VK_DELETE);
          log += "<DEL>";
          break;
        case 7:
          edit.KeyDown(VK_LEFT, pick(3) == 0);
          log += "<L>";
          break;
        case 8:
          edit.KeyDown(VK_RIGHT, pick(3) == 0);
          log += "<R>";
          break;
        case 9:
          edit.KeyDown(pick(2) ? VK_HOME : VK_END);
          log += "<HE>";
          break;
        default: {
          const int32_t anchor = static_cast<int32_t>(pick(static_cast<size_t>(length) + 1));
          if (pick(2))
            edit.Click(anchor);
          else
            edit.Select(anchor, static_cast<int32_t>(pick(static_cast<size_t>(length) + 1)));
          log += "<C" + std::to_string(anchor) + ">";
          keyAction = false;
          break;
        }
      }
      ASSERT_TRUE(IsAcceptedPrefix(c.Pattern, edit.Text(), caseInsensitive))
          << StringToUtf8(c.Pattern) << " text " << StringToUtf8(edit.Text()) << " after " << log;
      if (keyAction) {
        ASSERT_EQ(mode->Head() + mode->Tail(), edit.Text()) << StringToUtf8(c.Pattern) << " after " << log;
        ASSERT_EQ(static_cast<int32_t>(mode->Head().size()), edit.CursorPos())
            << StringToUtf8(c.Pattern) << " after " << log;
      }
    }
  }
}

TEST(MaskModeRegExpr, RandomTypingKeepsAnAcceptedPrefix) {
  RandomTyping(emkRegExpr, 11);
}

TEST_F(MaskModeRegExprEx, RandomTypingKeepsAnAcceptedPrefix) {
  FormatSettings().DateSeparator = u'/';
  FormatSettings().TimeSeparator = u':';
  RandomTyping(emkRegExprEx, 12);
}

}  // namespace
}  // namespace qd
