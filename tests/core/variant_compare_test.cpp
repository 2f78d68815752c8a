#include <gtest/gtest.h>

#include <string>

#include "ui/core/cxVariants.h"
#include "platform/base/fmtbcd.h"
#include "platform/base/sqltimst.h"

namespace qd {
namespace {

Variant Array(int64_t ALow, std::initializer_list<Variant> AValues) {
  Variant v = VarArrayCreate(ALow, ALow + static_cast<int64_t>(AValues.size()) - 1, varVariant);
  int64_t i = ALow;
  for (const Variant& item : AValues) VarArrayPut(v, item, i++);
  return v;
}

int Sign(int32_t v) {
  return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

TEST(VariantCompare, Table) {
  struct Case {
    const char* name;
    Variant a, b;
    int expected;  // the sign of VarCompare
  };
  const Case cases[] = {
      {"empty-empty", Variant(), Variant(), 0},
      {"empty-null", Variant(), Null(), -1},
      {"null-empty", Null(), Variant(), 1},
      {"null-null", Null(), Null(), 0},
      {"null-5", Null(), Variant(5), -1},
      {"5-null", Variant(5), Null(), 1},
      {"empty-0", Variant(), Variant(0), -1},
      {"0-empty", Variant(0), Variant(), 1},
      {"empty-emptystring", Variant(), Variant(u""), -1},
      {"1-2", Variant(1), Variant(2), -1},
      {"2-1", Variant(2), Variant(1), 1},
      {"int-double", Variant(2), Variant(2.0), 0},
      {"int64-int", Variant(int64_t{5}), Variant(5), 0},
      {"single-double", Variant(1.5f), Variant(1.5), 0},
      {"currency-double", Variant(Currency{15000}), Variant(1.5), 0},
      {"date-double", Variant::FromDate(2.5), Variant(2.5), 0},
      {"strings", Variant(u"a"), Variant(u"b"), -1},
      {"strings-case", Variant(u"a"), Variant(u"A"), 1},
      {"numeric-string", Variant(u"5"), Variant(5), 0},
      {"text-number", Variant(u"abc"), Variant(5), -1},  // not comparable: "less" both ways
      {"number-text", Variant(5), Variant(u"abc"), -1},
      {"bcd-int", VarFMTBcdCreate(StrToBcd(u"12.5")), Variant(12), 1},
      {"timestamp-date", VarSQLTimeStampCreate(TSQLTimeStamp{2024, 1, 2, 3, 4, 5, 6}),
       Variant::FromDate(EncodeDate(2024, 1, 2) + EncodeTime(3, 4, 5, 6)), 0},
      {"array-scalar", Array(0, {1}), Variant(5), 1},
      {"scalar-array", Variant(5), Array(0, {1}), -1},
      {"arrays-equal", Array(0, {1, u"x"}), Array(0, {1, u"x"}), 0},
      {"arrays-element", Array(0, {1, 2}), Array(0, {1, 3}), -1},
      {"arrays-longer", Array(0, {1, 2, 3}), Array(0, {9}), 1},
      {"arrays-nested", Array(0, {Array(0, {1})}), Array(0, {Array(0, {2})}), -1},
      {"arrays-null-element", Array(0, {Null()}), Array(0, {0}), -1},
      // Same high bound, other low bound: elements from each array's own start, then sizes.
      {"arrays-low-bounds-shorter", Array(1, {7, 8}), Array(0, {7, 8, 9}), -1},
      {"arrays-low-bounds-element", Array(1, {7, 9}), Array(0, {7, 8, 9}), 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Sign(VarCompare(c.a, c.b)), c.expected) << c.name;
    EXPECT_EQ(VarEquals(c.a, c.b), c.expected == 0) << c.name;
  }
  // Arrays of different high bounds answer the difference of the bounds.
  EXPECT_EQ(VarCompare(Array(0, {1, 2, 3, 4}), Array(0, {1})), 3);
}

TEST(VariantCompare, EqualsExact) {
  struct Case {
    const char* name;
    Variant a, b;
    bool expected;
  };
  const Case cases[] = {
      {"true-minus-one", Variant(true), Variant(-1), false},  // "True" against "-1"
      {"true-text", Variant(true), Variant(u"True"), true},
      {"false-zero", Variant(false), Variant(0), false},
      {"int-double", Variant(5), Variant(5.0), true},
      {"int-string", Variant(5), Variant(u"5"), true},
      {"null-null", Null(), Null(), true},
      {"true-null", Variant(true), Null(), false},
      {"true-array", Variant(true), Array(0, {1}), false},  // no text form: not equal
  };
  for (const Case& c : cases) EXPECT_EQ(VarEqualsExact(c.a, c.b), c.expected) << c.name;
}

TEST(VariantCompare, Classification) {
  EXPECT_TRUE(VarIsSoftNull(Null()));
  EXPECT_TRUE(VarIsSoftNull(Variant(u"")));
  EXPECT_TRUE(VarIsSoftNull(Variant::FromAnsiString("")));
  EXPECT_FALSE(VarIsSoftNull(Variant(u" ")));
  EXPECT_FALSE(VarIsSoftNull(Variant()));
  EXPECT_FALSE(VarIsSoftNull(Variant(0)));

  EXPECT_TRUE(VarIsDate(Variant::FromDate(1)));
  EXPECT_TRUE(VarIsDate(VarSQLTimeStampCreate(45000.5)));
  EXPECT_FALSE(VarIsDate(Variant(1.0)));

  EXPECT_TRUE(VarIsNumericEx(Variant(1)));
  EXPECT_TRUE(VarIsNumericEx(Variant(Currency{1})));
  EXPECT_TRUE(VarIsNumericEx(VarFMTBcdCreate(IntegerToBcd(7))));
  EXPECT_FALSE(VarIsNumericEx(Variant(u"1")));
  EXPECT_FALSE(VarIsNumericEx(Variant::FromDate(1)));
}

TEST(Bcd, TextAndComparison) {
  struct Case {
    const char16_t* text;
    const char16_t* normalized;
  };
  const Case cases[] = {{u"12.50", u"12.5"}, {u"-0.001", u"-0.001"}, {u"007", u"7"},   {u"-0", u"0"},
                        {u"1E3", u"1000"},   {u"2.5e-2", u"0.025"},  {u" 42 ", u"42"}, {u"+.5", u"0.5"}};
  for (const Case& c : cases) EXPECT_EQ(BcdToStr(StrToBcd(c.text)), c.normalized);
  for (const char16_t* bad : {u"", u"x", u"1.2.3", u"1e", u"--1"}) {
    TBcd value;
    EXPECT_FALSE(TryStrToBcd(bad, value));
  }
  EXPECT_EQ(BcdCompare(StrToBcd(u"1.10"), StrToBcd(u"1.1")), 0);
  EXPECT_EQ(BcdCompare(StrToBcd(u"-2"), StrToBcd(u"1")), -1);
  EXPECT_EQ(BcdCompare(StrToBcd(u"-2"), StrToBcd(u"-10")), 1);
  EXPECT_EQ(BcdCompare(StrToBcd(u"100"), StrToBcd(u"99.999")), 1);
  EXPECT_EQ(BcdToDouble(DoubleToBcd(0.1)), 0.1);
  EXPECT_EQ(BcdToStr(IntegerToBcd(INT64_MIN)), u"-9223372036854775808");
}

}  // namespace
}  // namespace qd
