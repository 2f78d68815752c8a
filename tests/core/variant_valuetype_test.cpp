#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ui/core/cxDataStorage.h"
#include "ui/core/cxVariants.h"
#include "platform/base/fmtbcd.h"
#include "platform/base/sqltimst.h"

namespace qd {
namespace {

// One cell of a value type inside a record, deliberately at an odd offset.
class Cell {
 public:
  explicit Cell(TcxValueTypeClass AType)
      : FType(AType), FRecord(1 + static_cast<size_t>(AType->GetDataSize()), 0) {}
  ~Cell() { FType->FreeBuffer(Data()); }
  Cell(const Cell&) = delete;
  void* Data() { return FRecord.data() + 1; }

 private:
  TcxValueTypeClass FType;
  std::vector<uint8_t> FRecord;
};

struct TypeCase {
  const char* name;
  TcxValueTypeClass type;
  int dataSize;
  Variant low, high;
  TVarType readType;  // type of GetDataValue
};

std::vector<TypeCase> TypeCases() {
  const int ptr = static_cast<int>(sizeof(void*));
  return {
      {"String", TcxStringValueType::Class(), ptr, Variant(u"apple"), Variant(u"pear"), varUString},
      {"WideString", TcxWideStringValueType::Class(), ptr, Variant(u"A"), Variant(u"a"), varOleStr},
      {"Smallint", TcxSmallintValueType::Class(), 2, Variant(-300), Variant(300), varSmallint},
      {"Integer", TcxIntegerValueType::Class(), 4, Variant(INT32_MIN), Variant(INT32_MAX), varInteger},
      {"Word", TcxWordValueType::Class(), 2, Variant(1), Variant(65535), varWord},
      {"Boolean", TcxBooleanValueType::Class(), 1, Variant(false), Variant(true), varBoolean},
      {"Single", TcxSingleValueType::Class(), 4, Variant(-1.5f), Variant(2.25f), varSingle},
      {"Float", TcxFloatValueType::Class(), 8, Variant(0.1), Variant(1.0 / 3.0), varDouble},
      {"Currency", TcxCurrencyValueType::Class(), 8, Variant(Currency{-1}), Variant(Currency{12345}),
       varCurrency},
      {"DateTime", TcxDateTimeValueType::Class(), 8, Variant::FromDate(1.25), Variant::FromDate(45000.5),
       varDate},
      {"LargeInt", TcxLargeIntValueType::Class(), 8, Variant(INT64_MIN), Variant(INT64_MAX), varInt64},
      {"FMTBcd", TcxFMTBcdValueType::Class(), 34, VarFMTBcdCreate(StrToBcd(u"-12.5")),
       VarFMTBcdCreate(StrToBcd(u"123456789012345678901234567890")), VarFMTBcd()},
      {"SQLTimeStamp", TcxSQLTimeStampValueType::Class(), 16,
       VarSQLTimeStampCreate(TSQLTimeStamp{2020, 1, 2, 3, 4, 5, 6}),
       VarSQLTimeStampCreate(TSQLTimeStamp{2020, 1, 2, 3, 4, 5, 7}), varDate},
      {"Variant", TcxVariantValueType::Class(), ptr, Variant(u"a"), VarArrayOf({Variant(1)}), varUString},
      {"BLOB", TcxBLOBValueType::Class(), ptr, Variant::FromAnsiString(std::string("a\0b", 3)),
       Variant::FromAnsiString("ab"), varString},
  };
}

TEST(ValueTypes, SetGetCompareStream) {
  for (const TypeCase& c : TypeCases()) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.type->GetDataSize(), c.dataSize);
    Cell low(c.type), high(c.type), copy(c.type);
    c.type->SetDataValue(low.Data(), c.low);
    c.type->SetDataValue(high.Data(), c.high);
    const Variant got = c.type->GetDataValue(low.Data());
    EXPECT_EQ(got.Type(), c.readType);
    EXPECT_TRUE(VarEquals(got, c.low));
    EXPECT_TRUE(VarEquals(c.type->GetValue([&] {
      void* p = low.Data();
      c.type->PrepareValueBuffer(p);
      return p;
    }()),
                          c.low));
    EXPECT_LT(c.type->Compare(low.Data(), high.Data()), 0);
    EXPECT_GT(c.type->Compare(high.Data(), low.Data()), 0);
    EXPECT_EQ(c.type->Compare(low.Data(), low.Data()), 0);

    // Written and read back, in both text modes.
    for (bool unicode : {true, false}) {
      TBytesStream bytes;
      TdxStream stream(bytes, unicode);
      c.type->WriteDataValue(high.Data(), stream);
      stream.SetPosition(0);
      c.type->ReadDataValue(copy.Data(), stream);
      EXPECT_EQ(stream.Position(), stream.Size());
      EXPECT_EQ(c.type->Compare(copy.Data(), high.Data()), 0) << unicode;
    }
  }
}

TEST(ValueTypes, PointerCellsOrderNilFirst) {
  for (TcxValueTypeClass type : {TcxStringValueType::Class(), TcxWideStringValueType::Class(),
                                 TcxVariantValueType::Class(), TcxBLOBValueType::Class()}) {
    SCOPED_TRACE(type->ClassNameA());
    Cell nil1(type), nil2(type), a(type);
    type->SetDataValue(a.Data(), Variant(u"a"));
    EXPECT_EQ(type->Compare(nil1.Data(), nil2.Data()), 0);
    EXPECT_LT(type->Compare(nil1.Data(), a.Data()), 0);
    EXPECT_GT(type->Compare(a.Data(), nil1.Data()), 0);
    EXPECT_TRUE(type->GetDataValue(nil1.Data()).IsNull());
    void* prepared = nil1.Data();
    type->PrepareValueBuffer(prepared);
    EXPECT_EQ(prepared, nullptr);
  }
}

TEST(ValueTypes, FailedConversionKeepsCell) {
  struct Case {
    TcxValueTypeClass type;
    Variant good, bad;
  };
  const Case cases[] = {
      {TcxIntegerValueType::Class(), Variant(5), Variant(u"x")},
      {TcxSmallintValueType::Class(), Variant(5), Variant(70000)},
      {TcxFloatValueType::Class(), Variant(2.5), Null()},
      {TcxWideStringValueType::Class(), Variant(u"kept"), VarArrayOf({Variant(1)})},
      {TcxFMTBcdValueType::Class(), VarFMTBcdCreate(IntegerToBcd(3)), Variant(u"abc")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type->ClassNameA());
    Cell cell(c.type);
    c.type->SetDataValue(cell.Data(), c.good);
    EXPECT_THROW(c.type->SetDataValue(cell.Data(), c.bad), EVariantError);
    EXPECT_TRUE(VarEquals(c.type->GetDataValue(cell.Data()), c.good));
  }
}

TEST(ValueTypes, FloatKeepsExactDoubleThroughExtended) {
  const TcxValueTypeClass type = TcxFloatValueType::Class();
  for (double value : {0.1, 1.0 / 3.0, -1e308, 5e-324}) {
    Cell cell(type), back(type);
    type->SetDataValue(cell.Data(), Variant(value));
    TBytesStream bytes;
    TdxStream stream(bytes);
    type->WriteDataValue(cell.Data(), stream);
    EXPECT_EQ(stream.Size(), 10);
    stream.SetPosition(0);
    type->ReadDataValue(back.Data(), stream);
    EXPECT_EQ(type->GetDataValue(back.Data()).AsDouble(), value);
  }
}

TEST(ValueTypes, ObjectCellHoldsWholePointer) {
  const TcxValueTypeClass type = TcxObjectValueType::Class();
  EXPECT_EQ(type->GetDataSize(), static_cast<int32_t>(sizeof(void*)));
  auto* object = new TObject();
  Cell cell(type);
  type->SetDataValue(cell.Data(), Variant(static_cast<int64_t>(reinterpret_cast<intptr_t>(object))));
  EXPECT_EQ(type->GetDataValue(cell.Data()).AsInt64(), reinterpret_cast<intptr_t>(object));
  TBytesStream bytes;
  TdxStream stream(bytes);
  type->WriteDataValue(cell.Data(), stream);
  EXPECT_EQ(stream.Size(), 0);    // nothing is written
  type->FreeBuffer(cell.Data());  // frees the object (the sanitizer reports a leak otherwise)
}

TEST(ValueTypes, IsValueValid) {
  Variant v(u"12");
  EXPECT_TRUE(TcxIntegerValueType::Class()->IsValueValid(v));
  EXPECT_EQ(v.Type(), varInteger);
  EXPECT_EQ(v.AsInteger(), 12);
  Variant bad(u"x");
  EXPECT_FALSE(TcxIntegerValueType::Class()->IsValueValid(bad));
  Variant null = Null();
  EXPECT_TRUE(TcxIntegerValueType::Class()->IsValueValid(null));
  Variant anything = VarArrayOf({Variant(1)});
  EXPECT_TRUE(TcxVariantValueType::Class()->IsValueValid(anything));
  Variant big(100000);
  EXPECT_FALSE(TcxSmallintValueType::Class()->IsValueValid(big));
  Variant bcd(u"1.25");
  EXPECT_TRUE(TcxFMTBcdValueType::Class()->IsValueValid(bcd));
  EXPECT_EQ(bcd.Type(), VarFMTBcd());
}

TEST(ValueTypes, DisplayTexts) {
  const TcxValueTypeClass type = TcxIntegerValueType::Class();
  void* text = nullptr;
  EXPECT_EQ(type->GetDisplayText(&text), u"");
  type->SetDisplayText(&text, u"olá");
  EXPECT_EQ(type->GetDisplayText(&text), u"olá");
  for (bool unicode : {true, false}) {
    TBytesStream bytes;
    TdxStream stream(bytes, unicode);
    type->WriteDisplayText(&text, stream);
    EXPECT_EQ(stream.Size(), unicode ? 4 + 6 : 4 + 3);
    stream.SetPosition(0);
    void* back = nullptr;
    type->ReadDisplayText(&back, stream);
    EXPECT_EQ(type->GetDisplayText(&back), u"olá");
    type->FreeTextBuffer(&back);
    EXPECT_EQ(back, nullptr);
  }
  type->FreeTextBuffer(&text);

  struct Case {
    TcxValueTypeClass type;
    Variant value;
    const char16_t* text;
  };
  const Case cases[] = {
      {TcxBooleanValueType::Class(), Variant(true), u"True"},
      {TcxBooleanValueType::Class(), Variant(false), u"False"},
      {TcxIntegerValueType::Class(), Variant(-5), u"-5"},
      {TcxFMTBcdValueType::Class(), VarFMTBcdCreate(StrToBcd(u"12.50")), u"12.5"},
      {TcxStringValueType::Class(), Variant(u"s"), u"s"},
  };
  for (const Case& c : cases) {
    Cell cell(c.type);
    c.type->SetDataValue(cell.Data(), c.value);
    EXPECT_EQ(c.type->GetDefaultDisplayText(cell.Data()), c.text);
  }
  // The string type's value is its text cell.
  Cell s(TcxStringValueType::Class());
  TcxStringValueType::Class()->SetDataValue(s.Data(), Variant(12));
  EXPECT_EQ(TcxStringValueType::Class()->GetDisplayText(s.Data()), u"12");
}

TEST(ValueTypes, TruncatedStreams) {
  for (const TypeCase& c : TypeCases()) {
    SCOPED_TRACE(c.name);
    Cell cell(c.type), back(c.type);
    c.type->SetDataValue(cell.Data(), c.high);
    TBytesStream bytes;
    TdxStream stream(bytes);
    c.type->WriteDataValue(cell.Data(), stream);
    const TBytes full(bytes.Bytes().begin(), bytes.Bytes().begin() + bytes.Size());
    TBytesStream cut(TBytes(full.begin(), full.end() - 1));
    TdxStream cutStream(cut);
    EXPECT_THROW(c.type->ReadDataValue(back.Data(), cutStream), EReadError);
  }
}

TEST(ValueTypes, Registry) {
  cxDataStorage::Initialize();
  TcxValueTypeClassList* list = cxValueTypeClassList();
  ASSERT_EQ(list->Count(), 16);
  const char16_t* captions[] = {
      u"String",   u"WideString", u"Smallint", u"Integer", u"Word",         u"Boolean", u"Single", u"Float",
      u"Currency", u"DateTime",   u"LargeInt", u"FMTBcd",  u"SQLTimeStamp", u"Variant", u"Object", u"BLOB"};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(list->Items(i)->Caption(), captions[i]);
  EXPECT_EQ(list->ItemByCaption(u"Float"), TcxFloatValueType::Class());
  EXPECT_EQ(list->ItemByCaption(u"float"), nullptr);
  EXPECT_THROW(list->Items(16), EListError);
  list->RegisterItem(TcxFloatValueType::Class());
  EXPECT_EQ(list->Count(), 16);
  EXPECT_TRUE(IsDateTimeValueTypeClass(TcxDateTimeValueType::Class()));
  EXPECT_TRUE(IsDateTimeValueTypeClass(TcxSQLTimeStampValueType::Class()));
  EXPECT_FALSE(IsDateTimeValueTypeClass(TcxFloatValueType::Class()));
  cxDataStorage::Finalize();
  EXPECT_EQ(cxValueTypeClassList()->Count(), 0);
  cxDataStorage::Finalize();
}

}  // namespace
}  // namespace qd
