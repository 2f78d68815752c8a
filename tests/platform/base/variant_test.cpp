#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>

#include "platform/base/strings.h"
#include "platform/base/variant.h"

namespace qd {
namespace {

TEST(Variant, TypeCodesAndTests) {
  struct Case {
    Variant v;
    TVarType type;
    bool isStr, isNumeric;
  } cases[] = {
      {Variant(), 0x0000, false, false},
      {Null(), 0x0001, false, false},
      {Variant(short(1)), 0x0002, false, true},
      {Variant(1), 0x0003, false, true},
      {Variant(1.5f), 0x0004, false, true},
      {Variant(1.5), 0x0005, false, true},
      {Variant(Currency{15000}), 0x0006, false, true},
      {Variant::FromDate(45366), 0x0007, false, false},
      {Variant::FromOleStr(u"x"), 0x0008, true, false},
      {Variant(true), 0x000B, false, true},
      {Variant(static_cast<signed char>(-1)), 0x0010, false, true},
      {Variant(static_cast<uint8_t>(1)), 0x0011, false, true},
      {Variant(static_cast<uint16_t>(1)), 0x0012, false, true},
      {Variant(1u), 0x0013, false, true},
      {Variant(int64_t(1)), 0x0014, false, true},
      {Variant(uint64_t(1)), 0x0015, false, true},
      {Variant::FromAnsiString("x"), 0x0100, true, false},
      {Variant(u"x"), 0x0102, true, false},
      {Variant::FromBytes(TBytes{1, 2}), 0x2011, false, false},
      {VarArrayOf({1, u"a"}), 0x200C, false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VarType(c.v), c.type);
    EXPECT_EQ(VarIsStr(c.v), c.isStr) << c.type;
    EXPECT_EQ(VarIsNumeric(c.v), c.isNumeric) << c.type;
    EXPECT_EQ(VarIsArray(c.v), (c.type & varArray) != 0);
  }
  EXPECT_TRUE(VarIsNull(Null()));
  EXPECT_FALSE(VarIsNull(Variant()));
  EXPECT_TRUE(VarIsEmpty(Variant()));
  EXPECT_FALSE(VarIsEmpty(Null()));
  EXPECT_EQ(VarTypeAsText(varUString), u"UnicodeString");
  EXPECT_EQ(VarTypeAsText(varArray | varByte), u"Array Byte");
}

TEST(Variant, Conversions) {
  TFormatSettings saved = FormatSettings();
  FormatSettings() = TFormatSettings();
  struct Case {
    Variant v;
    const char16_t* str;
    int64_t i;
    double d;
  } cases[] = {
      {Variant(), u"", 0, 0},
      {Variant(42), u"42", 42, 42},
      {Variant(2.5), u"2.5", 2, 2.5},  // to integer: halves to even
      {Variant(3.5), u"3.5", 4, 3.5},
      {Variant(-1.25f), u"-1.25", -1, -1.25},
      {Variant(Currency{-12345}), u"-1.2345", -1, -1.2345},
      {Variant(Currency{25000}), u"2.5", 2, 2.5},
      {Variant(true), u"True", -1, -1},
      {Variant(false), u"False", 0, 0},
      {Variant(u" 12 "), u" 12 ", 12, 12},
      {Variant(u"$10"), u"$10", 16, 0},
      {Variant(u"1.5"), u"1.5", 2, 1.5},
      {Variant(u"true"), u"true", -1, -1},
      {Variant::FromAnsiString("7"), u"7", 7, 7},
      {Variant(uint64_t(18446744073709551615ull)), u"18446744073709551615", 0, 18446744073709551615.0},
      {Variant::FromDate(EncodeDate(2024, 3, 5) + 0.5), u"3/5/2024 12:00:00 PM", 45356, 45356.5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(VarTypeAsText(c.v.Type())) + " " + StringToUtf8(c.str));
    EXPECT_EQ(VarToStr(c.v), c.str);
    if (c.v.Type() != varUInt64) {
      EXPECT_EQ(c.v.AsInt64(), c.i);
    }
    if (c.v.Type() != varUString || c.d != 0) {  // "$10" is an integer but no float
      EXPECT_DOUBLE_EQ(c.v.AsDouble(), c.d);
    }
  }
  EXPECT_EQ(Variant(u"\u00E7").AsAnsiString(), "\xE7");
  EXPECT_EQ(Variant::FromAnsiString("\x80").AsString(), u"\u20AC");
  EXPECT_EQ(Variant(u"0").AsBoolean(), false);
  EXPECT_EQ(Variant(u"FALSE").AsBoolean(), false);
  EXPECT_EQ(Variant(2.0).AsBoolean(), true);
  EXPECT_EQ(Variant(1.5).AsCurrency().Value, 15000);
  EXPECT_EQ(Variant(u"3/5/2024").AsDateTime(), EncodeDate(2024, 3, 5));
  EXPECT_EQ(VarToStr(Null()), u"");
  EXPECT_EQ(VarToStrDef(Null(), u"-"), u"-");

  struct Bad {
    std::function<void()> convert;
    const char16_t* message;
  } bad[] = {
      {[] { Variant(u"abc").AsInteger(); },
       u"Could not convert variant of type (UnicodeString) into type (Integer)"},
      {[] { Variant(u"abc").AsDouble(); },
       u"Could not convert variant of type (UnicodeString) into type (Double)"},
      {[] { Null().AsInteger(); }, u"Could not convert variant of type (Null) into type (Integer)"},
      {[] { Null().AsString(); }, u"Could not convert variant of type (Null) into type (UnicodeString)"},
      {[] { Variant::FromBytes(TBytes{1}).AsString(); },
       u"Could not convert variant of type (Array Byte) into type (UnicodeString)"},
      {[] { Variant(u"x").AsBoolean(); },
       u"Could not convert variant of type (UnicodeString) into type (Boolean)"},
      {[] { Variant(int64_t(1) << 40).AsInteger(); },
       u"Overflow while converting variant of type (Int64) into type (Integer)"},
      {[] { VarAsType(Variant(300), varByte); },
       u"Overflow while converting variant of type (Integer) into type (Byte)"},
      {[] { Variant(1e300).AsInt64(); },
       u"Overflow while converting variant of type (Double) into type (Int64)"},
  };
  for (const auto& b : bad) {
    try {
      b.convert();
      ADD_FAILURE() << StringToUtf8(b.message);
    } catch (const EVariantError& e) {
      EXPECT_EQ(e.Message(), b.message);
    }
  }
  FormatSettings() = saved;
}

TEST(Variant, VarAsTypeKeepsValuesAndCodes) {
  Variant v = VarAsType(Variant(u"12"), varInteger);
  EXPECT_EQ(VarType(v), varInteger);
  EXPECT_EQ(v.AsInteger(), 12);
  EXPECT_EQ(VarType(VarAsType(Variant(12), varOleStr)), varOleStr);
  EXPECT_EQ(VarAsType(Variant(12), varString).AsAnsiString(), "12");
  EXPECT_EQ(VarType(VarAsType(Variant(1.0), varDate)), varDate);
  EXPECT_EQ(VarType(VarAsType(Null(), varNull)), varNull);
  EXPECT_THROW(VarAsType(Null(), varInteger), EVariantTypeCastError);
  EXPECT_EQ(VarAsType(Variant(-1), varSmallint).AsInteger(), -1);
  EXPECT_THROW(VarAsType(Variant(-1), varWord), EVariantOverflowError);
}

TEST(Variant, EqualityAndOrder) {
  struct Case {
    Variant a, b;
    TVariantRelationship want;
  } cases[] = {
      {Null(), Null(), vrEqual},
      {Null(), Variant(), vrLessThan},
      {Variant(), Null(), vrGreaterThan},
      {Null(), Variant(5), vrLessThan},
      {Variant(), Variant(), vrEqual},
      {Variant(), Variant(0), vrEqual},
      {Variant(), Variant(u""), vrEqual},
      {Variant(), Variant(1), vrLessThan},
      {Variant(5), Variant(5.0), vrEqual},
      {Variant(5), Variant(u"5"), vrEqual},
      {Variant(u"10"), Variant(9), vrGreaterThan},
      {Variant(u"10"), Variant(u"9"), vrLessThan},  // two strings compare as text
      {Variant(u"abc"), Variant(u"ABC"), vrGreaterThan},
      {Variant(u"a"), Variant::FromAnsiString("a"), vrEqual},
      {Variant(true), Variant(-1), vrEqual},
      {Variant(true), Variant(u"True"), vrEqual},
      {Variant(false), Variant(true), vrLessThan},
      {Variant(Currency{15000}), Variant(1.5), vrEqual},
      {Variant::FromDate(2), Variant(2), vrEqual},
      {Variant(uint64_t(18446744073709551615ull)), Variant(-1), vrGreaterThan},
      {Variant(int64_t(9007199254740993)), Variant(int64_t(9007199254740992)), vrGreaterThan},
      {Variant(NAN), Variant(1.0), vrNotEqual},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VarCompareValue(c.a, c.b), c.want)
        << VarTypeAsText(c.a.Type()).size() << " " << StringToUtf8(VarToStr(c.a)) << " vs "
        << StringToUtf8(VarToStr(c.b));
  }
  EXPECT_TRUE(Variant(5) == Variant(u"5"));
  EXPECT_FALSE(Null() == Variant());
  EXPECT_TRUE(Variant(1) < Variant(2));
  EXPECT_THROW((void)(Variant(u"abc") == Variant(1)), EVariantTypeCastError);
  EXPECT_THROW(VarCompareValue(VarArrayOf({1}), Variant(1)), EVariantInvalidOpError);
}

TEST(Variant, ByteArraysAndVariantArrays) {
  Variant bytes = VarArrayCreate({0, 3}, varByte);
  EXPECT_EQ(VarArrayDimCount(bytes), 1);
  EXPECT_EQ(VarArrayHighBound(bytes, 1), 3);
  auto* p = static_cast<uint8_t*>(VarArrayLock(bytes));
  std::memcpy(p, "\x01\x02\xFE\xFF", 4);
  EXPECT_THROW(VarArrayRedim(bytes, 10), EVariantArrayLockedError);
  VarArrayUnlock(bytes);
  EXPECT_EQ(VarArrayToBytes(bytes), (TBytes{1, 2, 0xFE, 0xFF}));
  EXPECT_EQ(VarType(VarArrayGet(bytes, 2)), varByte);
  EXPECT_EQ(VarArrayGet(bytes, 3).AsInteger(), 255);
  VarArrayPut(bytes, Variant(u"7"), 0);
  EXPECT_EQ(VarArrayGet(bytes, 0).AsInteger(), 7);
  EXPECT_THROW(VarArrayPut(bytes, Variant(256), 0), EVariantOverflowError);
  EXPECT_THROW(VarArrayGet(bytes, 4), EVariantBadIndexError);
  VarArrayRedim(bytes, 5);
  EXPECT_EQ(VarArrayToBytes(bytes), (TBytes{7, 2, 0xFE, 0xFF, 0, 0}));

  Variant copy = bytes;  // copies are independent
  VarArrayPut(copy, Variant(9), 1);
  EXPECT_EQ(VarArrayGet(bytes, 1).AsInteger(), 2);

  Variant a = VarArrayCreate(5, 7, varVariant);
  EXPECT_EQ(VarArrayLowBound(a, 1), 5);
  EXPECT_TRUE(VarIsEmpty(VarArrayGet(a, 6)));
  VarArrayPut(a, Variant(u"x"), 7);
  EXPECT_EQ(VarToStr(VarArrayGet(a, 7)), u"x");
  EXPECT_THROW(VarArrayGet(a, 4), EVariantBadIndexError);
  EXPECT_THROW(VarArrayLowBound(a, 2), EVariantInvalidArgError);
  EXPECT_THROW(VarArrayCreate({0, 1, 0, 1}, varByte), EVariantInvalidArgError);
  EXPECT_THROW(VarArrayCreate(0, -2, varByte), EVariantInvalidArgError);
  EXPECT_EQ(VarArrayHighBound(VarArrayCreate(0, -1, varByte), 1), -1);

  Variant ints = VarArrayCreate(0, 1, varInteger);
  VarArrayPut(ints, Variant(u"12"), 1);
  EXPECT_EQ(VarType(VarArrayGet(ints, 1)), varInteger);
  EXPECT_EQ(VarType(VarArrayGet(ints, 0)), varInteger);
}

// A minimal custom type: a fixed-point value stored as text.
struct TextNumber : TCustomVarData {
  explicit TextNumber(String t) : text(std::move(t)) {}
  String text;
};

class TTextNumberType : public TCustomVariantType {
 public:
  String Name() const override { return u"TextNumber"; }
  Variant CastTo(const Variant& source, TVarType target) const override {
    return VarAsType(Variant(static_cast<const TextNumber*>(source.CustomData())->text), target);
  }
  Variant CastFrom(const Variant& source) const override {
    return Variant::FromCustom(*this, std::make_shared<TextNumber>(source.AsString()));
  }
};

TEST(Variant, CustomTypesConvertAndCompareThroughTheirType) {
  static TTextNumberType type;
  EXPECT_GE(type.VarType(), varFirstCustom);
  EXPECT_EQ(FindCustomVariantType(type.VarType()), &type);
  Variant v = VarAsType(Variant(12.5), type.VarType());
  EXPECT_EQ(VarType(v), type.VarType());
  EXPECT_EQ(VarTypeAsText(v.Type()), u"TextNumber");
  EXPECT_DOUBLE_EQ(v.AsDouble(), 12.5);
  EXPECT_EQ(VarToStr(v), u"12.5");
  EXPECT_TRUE(v == Variant(12.5));
  EXPECT_TRUE(Variant(3) < v);
  Variant copy = v;
  EXPECT_EQ(copy.CustomData(), v.CustomData());
}

}  // namespace
}  // namespace qd
