#include <gtest/gtest.h>

#include "platform/base/exceptions.h"
#include "platform/base/geometry.h"
#include "platform/base/mathutil.h"
#include "platform/base/method.h"
#include "platform/base/set.h"
#include "platform/base/strings.h"

namespace qd {
namespace {

TEST(MulDiv, RoundsHalvesAwayFromZeroAndRejectsZeroDivisor) {
  struct Case {
    int32_t n, num, den, want;
  } cases[] = {
      {5, 1, 2, 3},
      {-5, 1, 2, -3},
      {7, 3, 2, 11},
      {3, 1, 4, 1},
      {1, 1, 4, 0},
      {96, 144, 96, 144},
      {10, 0, 3, 0},
      {10, 5, 0, -1},
      {-7, 3, -2, 11},
      {0x40000000, 4, 1, -1},
      {-0x40000000, 2, 1, INT32_MIN},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MulDiv(c.n, c.num, c.den), c.want) << c.n << "*" << c.num << "/" << c.den;
}

TEST(Rounding, TiesToEvenVersusHalfAway) {
  EXPECT_EQ(Round(0.5), 0);
  EXPECT_EQ(Round(1.5), 2);
  EXPECT_EQ(Round(2.5), 2);
  EXPECT_EQ(Round(-2.5), -2);
  EXPECT_EQ(RoundHalfAway(2.5), 3);
  EXPECT_EQ(RoundHalfAway(-2.5), -3);
  EXPECT_EQ(Trunc(-2.7), -2);
}

TEST(Utf, RoundTripsAndReplacesInvalidSequences) {
  String s = u"Iniciando operação... \U0001F600";
  EXPECT_EQ(Utf8ToString(StringToUtf8(s)), s);
  EXPECT_EQ(StringToUtf8(u"ç"), "\xC3\xA7");
  EXPECT_EQ(Utf8ToString("a\xFF"
                         "b"),
            u"a\uFFFDb");
  EXPECT_EQ(Utf8ToString("\xC0\x80"), u"\uFFFD\uFFFD");  // overlong
  EXPECT_EQ(StringToUtf8(String(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(CopyAndPos, FollowTheOneBasedClampingRules) {
  EXPECT_EQ(Copy(u"abcdef", 2, 3), u"bcd");
  EXPECT_EQ(Copy(u"abcdef", 0, 2), u"ab");
  EXPECT_EQ(Copy(u"abcdef", 5, 100), u"ef");
  EXPECT_EQ(Copy(u"abcdef", 7, 1), u"");
  EXPECT_EQ(Copy(u"abcdef", 2, -1), u"");
  EXPECT_EQ(Pos(u"cd", u"abcdef"), 3);
  EXPECT_EQ(Pos(u"", u"abc"), 0);
  EXPECT_EQ(Pos(u"x", u"abc"), 0);
}

struct Target {
  int calls = 0;
  void Hit(int n) { calls += n; }
  void Other(int n) { calls -= n; }
};

TEST(RectHelpers, EmptyRectanglesNeitherOverlapNorWiden) {
  const TRect a{0, 0, 10, 10};
  EXPECT_EQ(RectIntersection(a, {5, -5, 20, 5}), (TRect{5, 0, 10, 5}));
  // Touching edges share nothing (right and bottom edges are outside); the result is all zero.
  EXPECT_EQ(RectIntersection(a, {10, 0, 20, 10}), TRect{});
  EXPECT_EQ(RectIntersection(a, {20, 20, 30, 30}), TRect{});
  EXPECT_EQ(RectUnion(a, {20, 20, 30, 30}), (TRect{0, 0, 30, 30}));
  EXPECT_EQ(RectUnion(a, {100, 100, 100, 200}), a);  // empty: adds nothing
  EXPECT_EQ(RectUnion(TRect{}, a), a);
  EXPECT_EQ(RectOffset(a, -3, 4), (TRect{-3, 4, 7, 14}));
  EXPECT_EQ(RectInflate(a, 1, 2, 3, -4), (TRect{-1, -2, 13, 6}));
}

TEST(Method, ComparesByObjectAndFunction) {
  Target a, b;
  TMethod<void(int)> m1(&a, &Target::Hit), m2(&a, &Target::Hit), m3(&b, &Target::Hit), m4(&a, &Target::Other);
  EXPECT_TRUE(m1 == m2);
  EXPECT_FALSE(m1 == m3);
  EXPECT_FALSE(m1 == m4);
  m1(3);
  m4(1);
  EXPECT_EQ(a.calls, 2);
  TMethod<void(int)> empty;
  EXPECT_FALSE(empty);
  EXPECT_TRUE(empty == nullptr);
}

enum class Colour { Red, Green, Blue };

TEST(Set, IncludesExcludesAndCombines) {
  TSet<Colour> s{Colour::Red};
  s += Colour::Blue;
  EXPECT_TRUE(s.Contains(Colour::Blue));
  EXPECT_FALSE(s.Contains(Colour::Green));
  EXPECT_EQ((s - TSet<Colour>{Colour::Red}), TSet<Colour>{Colour::Blue});
  EXPECT_EQ(s.ToBits(), 0b101u);
  EXPECT_TRUE(TSet<Colour>{Colour::Red}.SubsetOf(s));
}

TEST(Exceptions, CarryMessageAndClass) {
  try {
    RaiseReadError();
    ADD_FAILURE() << "RaiseReadError did not raise";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"Stream read error");
    EXPECT_TRUE(e.InheritsFrom(EStreamError::StaticClass()));
    EXPECT_EQ(e.ClassName(), u"EReadError");
  }
  RegisterClass(EConvertError::StaticClass());
  EXPECT_EQ(GetClass("econverterror"), EConvertError::StaticClass());
  EXPECT_THROW(FindClass("TNoSuchClass"), EClassNotFound);
}

}  // namespace
}  // namespace qd
