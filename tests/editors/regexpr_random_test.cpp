// Randomised checks of the regular-expression engine with fixed seeds: its language against
// the standard library's ECMAScript engine on a common subset, and deterministic mutations
// of mask patterns (the sanitizers catch what the invariants do not).
#include <gtest/gtest.h>

#include <random>
#if defined(__GNUC__) && !defined(__clang__)
// The standard library's regex headers trip this warning in GCC 12.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <regex>
#include <string>

#include "platform/base/strings.h"
#include "ui/editors/cxRegExpr.h"

namespace qd {
namespace {

// Patterns of literals, classes, groups, alternatives and quantifiers. A group here never
// matches the empty text: this engine does not let a group without a quantifier be skipped
// even when its content could be empty (in a(b?) the text a is not complete), where
// ECMAScript would.
class RandomPattern {
 public:
  explicit RandomPattern(uint32_t ASeed) : FRng(ASeed) {}

  std::string Expr(int ADepth, bool AInGroup = false) {
    std::string result = Alt(ADepth, AInGroup);
    for (int n = Pick(3); n > 0; --n) result += "|" + Alt(ADepth, AInGroup);
    return result;
  }
  std::string Input() {
    static const char kChars[] = "abc1";
    std::string result;
    for (int n = Pick(7); n > 0; --n) result += kChars[Pick(4)];
    return result;
  }
  int Pick(int ACount) { return std::uniform_int_distribution<int>(0, ACount - 1)(FRng); }

 private:
  std::string Alt(int ADepth, bool AInGroup) {
    std::string result;
    bool canEmpty = true;
    for (int n = 1 + Pick(3); n > 0; --n) result += Item(ADepth, canEmpty);
    if (AInGroup && canEmpty) result += "c";
    return result;
  }
  std::string Item(int ADepth, bool& ACanEmpty) {
    static const char* const kAtoms[] = {"a", "b", "c", "1", "[ab]", "[^a]", "[a-c]", ".", "\\d", "\\w"};
    std::string atom = ADepth > 0 && Pick(4) == 0 ? "(" + Expr(ADepth - 1, true) + ")" : kAtoms[Pick(10)];
    static const char* const kQuantifiers[] = {"?", "*", "{0,2}", "+", "{2}", "{1,}", "{1,3}"};
    int quantifier = Pick(10);
    if (quantifier < 7) atom += kQuantifiers[quantifier];
    if (quantifier >= 3) ACanEmpty = false;
    return atom;
  }

  std::mt19937 FRng;
};

// Where the engine compiles a pattern of the common subset, it accepts exactly the texts
// that an ECMAScript full match accepts; each Prev returns to the state of the shorter text.
TEST(RegExprRandom, SameLanguageAsECMAScript) {
  RandomPattern random(20240611);
  int compared = 0;
  for (int i = 0; i < 1500; ++i) {
    const std::string pattern = random.Expr(2);
    TcxRegExpr expr;
    try {
      expr.Compile(Utf8ToString(pattern));
    } catch (const EcxRegExprError&) {
      continue;  // for example a star on a group that can be empty
    }
    const std::regex reference(pattern, std::regex::ECMAScript);
    for (int j = 0; j < 12; ++j) {
      const std::string input = random.Input();
      expr.Reset();
      size_t accepted = 0;
      for (char c : input) {
        Char token = static_cast<Char>(c);
        if (!expr.Next(token)) break;
        ++accepted;
      }
      const bool full = accepted == input.size() && expr.IsFinal();
      ASSERT_EQ(full, std::regex_match(input, reference)) << pattern << " / " << input;
      for (size_t k = accepted; k > 0; --k) {
        ASSERT_TRUE(expr.Prev());
        ASSERT_EQ(expr.IsFinal(), std::regex_match(input.substr(0, k - 1), reference))
            << pattern << " / " << input.substr(0, k - 1);
      }
      ASSERT_TRUE(expr.IsStart());
      ASSERT_FALSE(expr.Prev());
      ++compared;
    }
  }
  EXPECT_GT(compared, 5000);
}

// Mask patterns mutated at random, then compiled and driven by random steps.
TEST(RegExprRandom, MutatedPatterns) {
  const std::u16string seeds[] = {
      u"\\d\\d/\\d\\d",
      u"\\(\\d{3}\\)\\d{3}-\\d{4}",
      u"[A-Z]{2}\\d+",
      u"(ab|c)*d",
      u"'x''y'\\x41[^a-c]",
      u"\\w+@\\w+\\.(com|org)",
      u"(a)\\1((b)c){2}\\3",
      u"\\d{1,3}(\\p\\d{2})?",
      u"([01]\\d|2[0-3]):[0-5]\\d",
      u"ç(à|é)+[^ü-ÿ]",
      u"(x?){2,5}y{0,}",
      u"[\\d\\s-]+ \\S*",
  };
  static const char16_t kAlphabet[] = u"()[]{}|*+?\\^-,.'/:0123456789abdDwWsSxp \r\nçZ";
  std::mt19937 rng(7);
  auto pick = [&](size_t ACount) { return std::uniform_int_distribution<size_t>(0, ACount - 1)(rng); };
  int compiled = 0;
  for (int i = 0; i < 3000; ++i) {
    std::u16string pattern = seeds[pick(std::size(seeds))];
    for (size_t edits = 1 + pick(4); edits > 0; --edits) {
      const Char c = kAlphabet[pick(std::size(kAlphabet) - 1)];
      const size_t at = pattern.empty() ? 0 : pick(pattern.size() + 1);
      switch (pick(4)) {
        case 0:
          pattern.insert(at, 1, c);
          break;
        case 1:
          if (at < pattern.size()) pattern.erase(at, 1);
          break;
        case 2:
          if (at < pattern.size()) pattern[at] = c;
          break;
        default:
          if (at < pattern.size()) pattern.insert(at, pattern.substr(at, 1 + pick(6)));
          break;
      }
    }
    TcxRegExpr expr;
    expr.SetCaseInsensitive(pick(2) == 0);
    expr.SetUpdateOn(pick(3) == 0);
    try {
      expr.Compile(pattern);
    } catch (const EcxRegExprError& e) {
      ASSERT_GT(e.Errors().Count(), 0) << StringToUtf8(pattern);
      for (int32_t k = 0; k < e.Errors().Count(); ++k) {
        ASSERT_GE(e.Errors().Items(k).Line(), 0);
        ASSERT_FALSE(e.Errors().Items(k).FullMessage().empty());
      }
      continue;
    }
    ++compiled;
    for (int step = 0; step < 40; ++step) {
      const Char c = kAlphabet[pick(std::size(kAlphabet) - 1)];
      switch (pick(6)) {
        case 0:
        case 1:
        case 2: {
          const bool updateOn = expr.UpdateOn();
          const bool wasFinal = expr.IsFinal();
          const bool wasStart = expr.IsStart();
          Char token = c;
          if (expr.Next(token) && !updateOn) {
            ASSERT_TRUE(expr.Prev());
            ASSERT_EQ(expr.IsFinal(), wasFinal) << StringToUtf8(pattern);
            ASSERT_EQ(expr.IsStart(), wasStart) << StringToUtf8(pattern);
            token = c;
            ASSERT_TRUE(expr.Next(token));
          }
          break;
        }
        case 3:
          expr.Prev();
          break;
        case 4: {
          const std::u16string text(3, c);
          const String accepted = expr.NextEx(text);
          ASSERT_LE(accepted.size(), text.size());
          break;
        }
        default:
          if (pick(4) == 0) expr.Reset();
          break;
      }
    }
  }
  EXPECT_GT(compiled, 300);
}

}  // namespace
}  // namespace qd
