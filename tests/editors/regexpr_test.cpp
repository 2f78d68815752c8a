#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/base/format.h"
#include "platform/base/strings.h"
#include "ui/editors/cxRegExpr.h"

namespace qd {
namespace {

struct TErrorRow {
  int32_t Line;
  int32_t Char;
  std::string Message;
  bool operator==(const TErrorRow&) const = default;
};

std::ostream& operator<<(std::ostream& AStream, const TErrorRow& ARow) {
  return AStream << "(" << ARow.Line << "," << ARow.Char << ") " << ARow.Message;
}

// The errors that compiling the pattern raises (empty when it compiles).
std::vector<TErrorRow> CompileErrors(const std::u16string& APattern) {
  TcxRegExpr expr;
  try {
    expr.Compile(APattern);
  } catch (const EcxRegExprError& e) {
    std::vector<TErrorRow> result;
    for (int32_t i = 0; i < e.Errors().Count(); ++i) {
      const TcxRegExprError& error = e.Errors().Items(i);
      result.push_back({error.Line(), error.Char(), StringToUtf8(error.Message())});
    }
    EXPECT_FALSE(expr.IsCompiled());
    return result;
  }
  EXPECT_TRUE(expr.IsCompiled());
  return {};
}

// Feeds the input: "full" for a complete match, "prefix" when every character was accepted
// but the match is not complete, "rejected at N" otherwise.
std::string Feed(TcxRegExpr& AExpr, const std::u16string& AInput) {
  for (size_t i = 0; i < AInput.size(); ++i) {
    Char c = AInput[i];
    if (!AExpr.Next(c)) return "rejected at " + std::to_string(i);
  }
  return AExpr.IsFinal() ? "full" : "prefix";
}

std::string Match(const std::u16string& APattern, const std::u16string& AInput,
                  bool ACaseInsensitive = false) {
  TcxRegExpr expr;
  expr.SetCaseInsensitive(ACaseInsensitive);
  expr.Compile(APattern);
  return Feed(expr, AInput);
}

// Restores the regional settings a test changes.
class RegExprSettings : public ::testing::Test {
 protected:
  void SetUp() override { FSaved = FormatSettings(); }
  void TearDown() override { FormatSettings() = FSaved; }

 private:
  TFormatSettings FSaved;
};

TEST(RegExprCompile, ErrorsWithPositions) {
  const std::string space = "The source stream is empty";
  struct {
    std::u16string Pattern;
    std::vector<TErrorRow> Errors;
  } rows[] = {
      {u"", {{0, 0, space}}},
      {u" \t\r\n", {{0, 0, space}}},
      {u"(a", {{0, 0, "Missing ')'"}}},
      {u"a)", {{0, 0, "Unnecessary ')'"}}},
      {u"[]", {{1, 2, "Can't create empty enumeration"}}},
      {u"[^]", {{1, 3, "Can't create empty enumeration"}}},
      {u"[b-a]", {{1, 4, "The starting character of the subrange must be less than the finishing one"}}},
      {u"[a-a]", {{1, 4, "The starting character of the subrange must be less than the finishing one"}}},
      {u"[a--b]", {{1, 4, "The starting character of the subrange must be less than the finishing one"}}},
      {u"[ab", {{1, 4, "Missing ']'"}}},
      {u"[a-", {{1, 4, "Missing ']'"}}},
      {u"a|", {{0, 0, "The alternative should not be empty"}}},
      {u"|a", {{1, 1, "The alternative should not be empty"}}},
      {u"(a|)", {{1, 4, "The block should not be empty"}}},
      {u"()", {{1, 2, "The block should not be empty"}}},
      {u")(", {{1, 1, "Illegal ')'"}, {0, 0, "The alternative should not be empty"}}},
      {u"*a", {{1, 1, "Illegal quantifier '*'"}}},
      {u"a**", {{1, 3, "The '*' quantifier cannot be applied here"}}},
      {u"a?+", {{1, 3, "The '+' quantifier cannot be applied here"}}},
      {u"(a?)*", {{1, 5, "The '*' quantifier cannot be applied here"}}},
      {u"(a|b?)+", {{1, 7, "The '+' quantifier cannot be applied here"}}},
      {u"a?{2}", {{1, 3, "The parameter quantifier cannot be applied here"}}},
      {u"{2}",
       {{1, 1, "Incorrect parameter quantifier"}, {1, 2, "Illegal integer value"}, {1, 3, "Illegal '}'"}}},
      {u"a{3,2}", {{1, 5, "Incorrect parameter quantifier"}, {1, 6, "Illegal '}'"}}},
      {u"a{,2}",
       {{1, 3, "Incorrect parameter quantifier"}, {1, 4, "Illegal integer value"}, {1, 5, "Illegal '}'"}}},
      {u"a{2", {{1, 4, "Missing '}'"}}},
      {u"a{2x}", {{1, 4, "Illegal 'x'"}}},
      {u"a{'}", {{1, 3, "Illegal ' ' '"}}},
      {u"\\1", {{1, 1, "Too big reference number"}}},
      {u"(a)\\2", {{1, 4, "Too big reference number"}}},
      {u"\\x4", {{1, 4, "Hexadecimal number expected"}}},
      {u"\\x4g", {{1, 4, "Hexadecimal number expected but 'g' found"}}},
      {u"a\\ b", {{1, 3, "The space character is not allowed after '\\'"}}},
      {u"'ab", {{1, 4, "Missing ' ' '"}}},
      {u"a\r\n[]", {{2, 2, "Can't create empty enumeration"}}},
      {u"a\n\n  *|", {{0, 0, "The alternative should not be empty"}}},
      {u"(ab)\\1", {}},
      {u"a\\", {}},
  };
  for (const auto& row : rows) EXPECT_EQ(CompileErrors(row.Pattern), row.Errors) << StringToUtf8(row.Pattern);
}

TEST(RegExprCompile, FullMessageAndNotCompiled) {
  EXPECT_EQ(TcxRegExprError(1, 5, u"m").FullMessage(), u"Line1, Char5: m");
  EXPECT_EQ(TcxRegExprError(3, 0, u"m").FullMessage(), u"Line3: m");
  EXPECT_EQ(TcxRegExprError(0, 7, u"m").FullMessage(), u"m");

  TcxRegExpr expr;
  Char c = u'a';
  try {
    expr.Next(c);
    FAIL() << "no error";
  } catch (const EcxEditError& e) {
    EXPECT_EQ(e.Message(), u"Regular expression is not compiled");
  }
  EXPECT_THROW(expr.Reset(), EcxEditError);
  EXPECT_THROW(expr.IsFinal(), EcxEditError);
  EXPECT_THROW(expr.Compile(static_cast<TStream*>(nullptr)), EcxRegExprError);
  EXPECT_EQ(expr.Errors().Items(0).Message(), u"The source stream is not assigned");
  // A failed compilation leaves the engine uncompiled; a later one succeeds.
  expr.Compile(u"a");
  EXPECT_TRUE(expr.IsCompiled());
  EXPECT_NE(expr.Stream(), nullptr);
  EXPECT_THROW(expr.Compile(u"a)"), EcxRegExprError);
  EXPECT_FALSE(expr.IsCompiled());
  EXPECT_EQ(expr.Stream(), nullptr);
  EXPECT_THROW(expr.Next(c), EcxEditError);
}

// The exception keeps its own copy of the errors: it outlives the engine.
TEST(RegExprCompile, ExceptionOwnsItsErrors) {
  std::unique_ptr<EcxRegExprError> error;
  {
    TcxRegExpr expr;
    try {
      expr.Compile(u"[b-a]|");
    } catch (const EcxRegExprError& e) {
      error = std::make_unique<EcxRegExprError>(e);
    }
    ASSERT_NE(error, nullptr);
    expr.Compile(u"ok");  // clears the engine's own list
  }
  ASSERT_EQ(error->Errors().Count(), 2);
  EXPECT_EQ(error->Errors().Items(0).FullMessage(),
            u"Line1, Char4: The starting character of the subrange must be less than the finishing one");
  EXPECT_EQ(error->Errors().Items(1).FullMessage(), u"The alternative should not be empty");
}

TEST(RegExprMatch, Table) {
  struct {
    std::u16string Pattern;
    std::u16string Input;
    std::string Result;
  } rows[] = {
      {u"ab?", u"a", "full"},
      {u"a(b?)", u"a", "prefix"},
      {u"a(b?)", u"ab", "full"},
      {u"a(b)?", u"a", "full"},
      {u"(ab)\\1", u"abab", "full"},
      {u"(ab)\\1", u"ab", "prefix"},
      {u"(a|b)\\1", u"ab", "full"},
      {u"(a|b)\\1", u"ba", "full"},
      {u"(a)+\\1", u"aaa", "full"},
      {u"[a-]", u"-", "full"},
      {u"[a-]", u"a", "full"},
      {u"[^-a]", u"b", "full"},
      {u"[^-a]", u"-", "rejected at 0"},
      {u"[^-a]", u"a", "rejected at 0"},
      {u"[\\d-z]", u"q", "full"},  // a class escape as a bound counts as its letter
      {u"[\\d-z]", u"5", "rejected at 0"},
      {u"[a c]", u" ", "rejected at 0"},
      {u"['a c']", u" ", "full"},
      {u"\\x41", u"A", "full"},
      {u"\\x41", u"a", "rejected at 0"},
      {u"\\0\\t\\n\\r\\f\\a\\e", u"0\t\n\r\f\a\x1b", "full"},
      {u"\\.\\(\\[\\{\\'\\/\\:\\\\", u".([{'/:\\", "full"},
      {u"a\\", u"a", "full"},
      {u"'a.b'", u"a.b", "full"},
      {u"'a.b'", u"axb", "rejected at 1"},
      {u"'it''s'", u"it's", "full"},
      {u"a b\tc", u"abc", "full"},
      {u"\\d+", u"123", "full"},
      {u"\\d+", u"12a", "rejected at 2"},
      {u"\\D\\w\\W\\s\\S", u"x_.\tz", "full"},
      {u"\\s", u"\v", "rejected at 0"},
      {u"\\s", std::u16string(1, u'\0'), "full"},
      {u".*", u"anything at all", "full"},
      {u"a|bc|d", u"bc", "full"},
      {u"a|bc|d", u"b", "prefix"},
      {u"x{3}", u"xx", "prefix"},
      {u"x{3}", u"xxx", "full"},
      {u"x{3}", u"xxxx", "rejected at 3"},
      {u"x{2,4}", u"x", "prefix"},
      {u"x{2,4}", u"xx", "full"},
      {u"x{2,4}", u"xxxx", "full"},
      {u"x{2,4}", u"xxxxx", "rejected at 4"},
      {u"x{2,}", u"xxxxxxx", "full"},
      {u"x{0,2}", u"", "full"},
      {u"x{0,2}", u"xx", "full"},
      {u"x{0}y", u"y", "full"},
      {u"(ab|c){1,2}d", u"abcd", "full"},
      {u"(ab|c){1,2}d", u"d", "rejected at 0"},
      {u"\\(\\d{3}\\)\\d{3}-\\d{4}", u"(555)123-4567", "full"},
      {u"a+*", u"", "full"},  // a star after a plus wraps the item
      {u"a*?b", u"aab", "full"},
      // A reference to a group that took a parameter quantifier repeats the expansion.
      {u"(a){2}\\1", u"aaaa", "full"},
      {u"(a){2}\\1", u"aaa", "prefix"},
      {u"((a)b){2}\\2", u"ababa", "full"},
      {u"((a)b){0}\\2c", u"c", "full"},
      // Characters outside ASCII are characters, not bytes.
      {u"ç+", u"çç", "full"},
      {u"[à-ü]", u"ç", "full"},
      {u"'ção'", u"ção", "full"},
      {u"\\xe7", u"ç", "full"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(Match(row.Pattern, row.Input), row.Result)
        << StringToUtf8(row.Pattern) << " / " << StringToUtf8(row.Input);
}

TEST_F(RegExprSettings, SeparatorsAreReadWhenUsed) {
  FormatSettings().DateSeparator = u'.';
  FormatSettings().TimeSeparator = u'h';
  FormatSettings().DecimalSeparator = u',';
  TcxRegExpr expr;
  expr.Compile(u"\\d/\\d:\\d\\p\\d");
  EXPECT_EQ(Feed(expr, u"1.2h3,4"), "full");
  // The date and time separators are those of the moment; \p was taken at compile time.
  FormatSettings().DateSeparator = u'-';
  FormatSettings().DecimalSeparator = u'.';
  expr.Reset();
  EXPECT_EQ(Feed(expr, u"1.2"), "rejected at 1");
  expr.Reset();
  EXPECT_EQ(Feed(expr, u"1-2h3,4"), "full");
  EXPECT_EQ(Match(u"[/:]+", u"-h-"), "full");
}

TEST(RegExprMatch, CaseInsensitive) {
  TcxRegExpr expr;
  expr.SetCaseInsensitive(true);
  expr.Compile(u"ab");
  Char c = u'A';
  ASSERT_TRUE(expr.Next(c));
  EXPECT_EQ(c, u'a');
  c = u'B';
  ASSERT_TRUE(expr.Next(c));
  EXPECT_EQ(c, u'b');
  EXPECT_TRUE(expr.IsFinal());

  expr.Compile(u"a|A");
  c = u'A';
  ASSERT_TRUE(expr.Next(c));
  EXPECT_EQ(c, u'A');  // an exact match forbids a case change

  expr.Compile(u"(x|[a-z]|B)c");
  c = u'b';
  ASSERT_TRUE(expr.Next(c));
  EXPECT_EQ(c, u'b');
  expr.Reset();
  c = u'X';
  ASSERT_TRUE(expr.Next(c));
  EXPECT_EQ(c, u'x');

  EXPECT_EQ(Match(u"[a-z]", u"A", true), "rejected at 0");
  EXPECT_EQ(Match(u"[xyz]+", u"XyZ", true), "full");
  EXPECT_EQ(Match(u"ç", u"Ç", true), "full");
  EXPECT_EQ(Match(u"ab", u"AB", false), "rejected at 0");

  // An exact match keeps only the states that matched exactly.
  EXPECT_EQ(Match(u"(ab)|(AC)", u"aC", true), "rejected at 1");
  EXPECT_EQ(Match(u"(ab)|(AC)", u"Ac", true), "full");
}

TEST(RegExprMatch, PrevResetNextEx) {
  TcxRegExpr expr;
  expr.Compile(u"\\d+");
  EXPECT_TRUE(expr.IsStart());
  EXPECT_FALSE(expr.Prev());
  EXPECT_EQ(expr.NextEx(u"a1b2"), u"12");
  EXPECT_TRUE(expr.IsFinal());
  EXPECT_TRUE(expr.Prev());
  EXPECT_TRUE(expr.Prev());
  EXPECT_TRUE(expr.IsStart());
  EXPECT_FALSE(expr.IsFinal());
  EXPECT_FALSE(expr.Prev());

  expr.Compile(u"ab|ac");
  EXPECT_EQ(expr.NextEx(u"ab"), u"ab");
  expr.Reset();
  EXPECT_TRUE(expr.IsStart());
  EXPECT_EQ(expr.NextEx(u"ac"), u"ac");
  // A rejected character leaves the automaton where it was.
  Char c = u'x';
  EXPECT_FALSE(expr.Next(c));
  EXPECT_TRUE(expr.IsFinal());
}

class SymbolRecorder {
 public:
  void Update(Char ASymbol) { Log += u"+" + String(1, ASymbol); }
  void Delete() { Log += u"-"; }
  void Attach(TcxRegExpr& AExpr) {
    AExpr.SetOnSymbolUpdate(TcxSymbolUpdateEvent(this, &SymbolRecorder::Update));
    AExpr.SetOnSymbolDelete(TcxSymbolDeleteEvent(this, &SymbolRecorder::Delete));
  }
  String Log;
};

TEST_F(RegExprSettings, ForcedCharacters) {
  FormatSettings().DateSeparator = u'.';
  TcxRegExpr expr;
  SymbolRecorder recorder;
  recorder.Attach(expr);
  expr.SetUpdateOn(true);
  expr.Compile(u"\\d\\d/\\d\\d");
  Char c = u'1';
  ASSERT_TRUE(expr.Next(c));
  EXPECT_EQ(recorder.Log, u"");
  c = u'2';
  ASSERT_TRUE(expr.Next(c));
  EXPECT_EQ(recorder.Log, u"+.");
  c = u'3';
  ASSERT_TRUE(expr.Next(c));  // the automaton already stands past the separator
  ASSERT_TRUE(expr.Prev());
  EXPECT_EQ(recorder.Log, u"+.");
  ASSERT_TRUE(expr.Prev());  // the separator and the 2
  EXPECT_EQ(recorder.Log, u"+.-");
  c = u'5';
  ASSERT_TRUE(expr.Next(c));
  EXPECT_EQ(recorder.Log, u"+.-+.");

  // Leading forced characters are taken at compilation, or when UpdateOn is switched on.
  recorder.Log.clear();
  expr.Compile(u"\\(\\d\\)");
  EXPECT_EQ(recorder.Log, u"+(");
  EXPECT_FALSE(expr.IsStart());
  c = u'7';
  ASSERT_TRUE(expr.Next(c));
  EXPECT_EQ(recorder.Log, u"+(+)");
  EXPECT_TRUE(expr.IsFinal());
  // Back to the start: the forced '(' is walked back first, then nothing is left.
  ASSERT_TRUE(expr.Prev());
  EXPECT_EQ(recorder.Log, u"+(+)-");
  EXPECT_FALSE(expr.Prev());
  EXPECT_EQ(recorder.Log, u"+(+)--");
  EXPECT_TRUE(expr.IsStart());

  TcxRegExpr plain;
  SymbolRecorder plainRecorder;
  plainRecorder.Attach(plain);
  plain.Compile(u"'ab'c|'ab'd");
  EXPECT_EQ(plainRecorder.Log, u"");
  plain.SetUpdateOn(true);
  EXPECT_EQ(plainRecorder.Log, u"+a+b");  // stops where the alternatives differ
}

TEST(RegExprPrint, Tree) {
  TcxRegExpr expr;
  expr.Compile(u"a(b|c+)*|d?");
  EXPECT_EQ(expr.Print(),
            u"<Start_Alt>\r\nitem --> \r\n<Start_Block>\r\n<Start_Alt>\r\nitem --> \r\n<Finish_Alt>\r\n"
            u"<Start_Alt>\r\nitem --> +\r\n<Finish_Alt>\r\n<Finish_Block> --> *\r\n<Finish_Alt>\r\n"
            u"<Start_Alt>\r\nitem --> ?\r\n<Finish_Alt>\r\n");
}

// Patterns that would take memory, time or stack without bound are refused, or matched in
// time proportional to the automaton.
TEST(RegExprLimits, HostilePatterns) {
  const std::string tooComplex = "The regular expression is too complex";
  // A group that can match the empty text cannot be repeated without bound.
  EXPECT_EQ(CompileErrors(u"(a?){1,}"),
            (std::vector<TErrorRow>{{1, 5, "The parameter quantifier cannot be applied here"}}));
  EXPECT_EQ(CompileErrors(u"((a)|b?){0,}").size(), 1u);
  EXPECT_EQ(CompileErrors(u"(a?){2,5}"), std::vector<TErrorRow>{});
  // Bounds are limited; digit runs of any length are fine.
  EXPECT_EQ(CompileErrors(u"a{1001}"),
            (std::vector<TErrorRow>{{1, 3, "Incorrect parameter quantifier"}, {1, 7, "Illegal '}'"}}));
  EXPECT_EQ(CompileErrors(u"a{99999999999999999999}")[0].Message, "Incorrect parameter quantifier");
  EXPECT_EQ(CompileErrors(u"a{1,1001}")[0], (TErrorRow{1, 5, "Incorrect parameter quantifier"}));
  EXPECT_EQ(CompileErrors(u"a{1000}"), std::vector<TErrorRow>{});
  // Multiplied expansions.
  EXPECT_EQ(CompileErrors(u"((a{1000}){1000}){1000}"), (std::vector<TErrorRow>{{1, 11, tooComplex}}));
  // Deep nesting, written or built by quantifiers.
  std::u16string deep = String(5000, u'(') + u"a" + String(5000, u')');
  EXPECT_EQ(CompileErrors(deep), (std::vector<TErrorRow>{{1, 1101, tooComplex}}));
  std::u16string wrapped = u"a";
  for (int i = 0; i < 2000; ++i) wrapped += u"{1}";
  EXPECT_EQ(CompileErrors(wrapped).at(0).Message, tooComplex);
  // References that double the pattern each time.
  std::u16string doubling = u"(a";
  for (int i = 0; i < 40; ++i) doubling += u"\\1";
  doubling += u")";
  EXPECT_EQ(CompileErrors(doubling).at(0).Message, tooComplex);
  // Long runs of optional items link every item to every later one.
  std::u16string optional;
  for (int i = 0; i < 3000; ++i) optional += u"a?";
  EXPECT_EQ(CompileErrors(optional), (std::vector<TErrorRow>{{0, 0, tooComplex}}));
  // Within the limits such a run works, and a long input is fed in linear steps.
  optional.resize(1000);
  EXPECT_EQ(Match(optional, String(500, u'a')), "full");
  EXPECT_EQ(Match(optional, String(501, u'a')), "rejected at 500");
}

// Each group level used to walk its content twice per case-insensitive step: thirty levels
// would take a billion walks.
TEST(RegExprLimits, DeepGroupsCaseInsensitive) {
  std::u16string pattern = String(60, u'(') + u"[a-z]b|x" + String(60, u')') + u"+";
  TcxRegExpr expr;
  expr.SetCaseInsensitive(true);
  expr.Compile(pattern);
  EXPECT_EQ(Feed(expr, u"aBqBX"), "full");
  std::u16string chain;
  for (int i = 0; i < 5000; ++i) chain += u"(x?)";
  expr.Compile(chain + u"y");
  EXPECT_EQ(Feed(expr, u"XXY"), "full");
  expr.Compile(chain);
  EXPECT_EQ(Feed(expr, u""), "prefix");  // a group without a quantifier cannot be missed
}

}  // namespace
}  // namespace qd
