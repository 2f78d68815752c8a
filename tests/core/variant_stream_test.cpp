#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "ui/core/cxVariants.h"
#include "platform/base/fmtbcd.h"
#include "platform/base/sqltimst.h"
#include "platform/classes/streams.h"

namespace qd {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Written(const Variant& V) {
  TBytesStream stream;
  WriteVariantProc(stream, V);
  return Bytes(stream.Bytes().begin(), stream.Bytes().begin() + stream.Size());
}

Variant ReadFrom(const Bytes& ABytes) {
  TBytesStream stream(TBytes(ABytes.begin(), ABytes.end()));
  Variant v = ReadVariantFunc(stream);
  EXPECT_EQ(stream.Position(), stream.Size()) << "not all bytes read";
  return v;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

template <class T>
Bytes Raw(T value) {
  Bytes b(sizeof(T));
  std::memcpy(b.data(), &value, sizeof(T));
  return b;
}

TEST(VariantStream, EveryTag) {
  struct Case {
    const char* name;
    Variant value;
    Bytes bytes;
    TVarType readType;
  };
  const std::string s255(255, 'x'), s256(256, 'y');
  const Case cases[] = {
      {"null", Null(), {0}, varNull},
      {"empty", Variant(), {13}, varEmpty},
      {"false", Variant(false), {8}, varBoolean},
      {"true", Variant(true), {9}, varBoolean},
      {"int8", Variant(5), {2, 5}, varShortInt},
      {"int8-min", Variant(-128), {2, 0x80}, varShortInt},
      {"int16", Variant(200), {3, 200, 0}, varSmallint},
      {"int16-min", Variant(-129), Concat({{3}, Raw<int16_t>(-129)}), varSmallint},
      {"byte-255", Variant(static_cast<unsigned char>(255)), {3, 255, 0}, varSmallint},
      {"int32", Variant(70000), Concat({{4}, Raw<int32_t>(70000)}), varInteger},
      {"longword", Variant(4000000000u), Concat({{19}, Raw<int64_t>(4000000000)}), varInt64},
      {"int64", Variant(int64_t{-5000000000}), Concat({{19}, Raw<int64_t>(-5000000000)}), varInt64},
      {"single", Variant(1.5f), Concat({{15}, Raw<float>(1.5f)}), varSingle},
      {"double", Variant(1.0), {5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}, varDouble},
      {"currency", Variant(Currency{15000}), Concat({{16}, Raw<int64_t>(15000)}), varCurrency},
      {"date", Variant::FromDate(45000.25), Concat({{17}, Raw<double>(45000.25)}), varDate},
      {"ustring", Variant(u"ab"), {18, 2, 0, 0, 0, 'a', 0, 'b', 0}, varOleStr},
      {"olestr", Variant::FromOleStr(u""), {18, 0, 0, 0, 0}, varOleStr},
      {"bytes-255", Variant::FromAnsiString(s255), Concat({{6, 255}, Bytes(s255.begin(), s255.end())}),
       varString},
      {"bytes-256", Variant::FromAnsiString(s256),
       Concat({{12}, Raw<int32_t>(256), Bytes(s256.begin(), s256.end())}), varString},
      {"uint64-as-text", Variant(uint64_t{18446744073709551615ull}),
       Concat({{6, 20}, Bytes{'1', '8', '4', '4', '6', '7', '4', '4', '0', '7',
                              '3', '7', '0', '9', '5', '5', '1', '6', '1', '5'}}),
       varString},
      {"bcd-as-text", VarFMTBcdCreate(StrToBcd(u"12.5")), {6, 4, '1', '2', '.', '5'}, varString},
      {"timestamp-as-date", VarSQLTimeStampCreate(TSQLTimeStamp{2000, 1, 1, 12, 0, 0, 0}),
       Concat({{17}, Raw<double>(36526.5)}), varDate},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Written(c.value), c.bytes) << c.name;
    const Variant back = ReadFrom(c.bytes);
    EXPECT_EQ(back.Type(), c.readType) << c.name;
    if (c.readType != varString || VarIsStr(c.value)) {
      EXPECT_TRUE(VarEquals(back, c.value)) << c.name;
    }
  }
  EXPECT_EQ(ReadFrom({9}).AsInteger(), -1);  // True has all bits set
}

TEST(VariantStream, Arrays) {
  Variant v = VarArrayCreate(5, 7, varVariant);
  VarArrayPut(v, Variant(1), 5);
  VarArrayPut(v, Variant(u"x"), 6);
  VarArrayPut(v, VarArrayOf({Variant(true), Null()}), 7);
  const Bytes bytes = Written(v);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 4), (Bytes{1, 2, 3, 2}));  // list, count 3, first element
  const Variant back = ReadFrom(bytes);
  ASSERT_TRUE(back.IsArray());
  EXPECT_EQ(VarArrayLowBound(back, 1), 0);
  EXPECT_EQ(VarArrayHighBound(back, 1), 2);
  EXPECT_EQ(VarArrayGet(back, 1).AsString(), u"x");
  EXPECT_TRUE(VarArrayGet(VarArrayGet(back, 2), 1).IsNull());
  // A byte array is written element by element and reads back as variants.
  const Variant blob = Variant::FromBytes(TBytes{1, 200});
  EXPECT_EQ(Written(blob), (Bytes{1, 2, 2, 2, 1, 3, 200, 0}));
  EXPECT_EQ(VarArrayGet(ReadFrom(Written(blob)), 1).AsInteger(), 200);
  EXPECT_EQ(Written(VarArrayOf(std::vector<Variant>{})), (Bytes{1, 2, 0}));
}

TEST(VariantStream, Extended80) {
  const double values[] = {0.0,
                           -0.0,
                           1.0,
                           -2.5,
                           1.0 / 3.0,
                           std::numeric_limits<double>::max(),
                           std::numeric_limits<double>::min(),
                           std::numeric_limits<double>::denorm_min(),
                           std::numeric_limits<double>::min() / 3,
                           std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity()};
  for (double d : values) {
    uint8_t ext[10];
    DoubleToExtended80(d, ext);
    EXPECT_EQ(std::bit_cast<uint64_t>(Extended80ToDouble(ext)), std::bit_cast<uint64_t>(d)) << d;
  }
  uint8_t ext[10];
  DoubleToExtended80(std::nan(""), ext);
  EXPECT_TRUE(std::isnan(Extended80ToDouble(ext)));

  // Values a double cannot hold exactly round to nearest, ties to even.
  auto make = [](uint64_t significand, uint16_t head) {
    std::array<uint8_t, 10> b;
    std::memcpy(b.data(), &significand, 8);
    std::memcpy(b.data() + 8, &head, 2);
    return Extended80ToDouble(b.data());
  };
  constexpr uint64_t kOne = uint64_t{1} << 63;
  EXPECT_EQ(make(kOne | 0x400, 0x3FFF), 1.0);                // tie, even stays
  EXPECT_EQ(make(kOne | 0xC00, 0x3FFF), 1.0 + 2 * 0x1p-52);  // tie, odd rounds up
  EXPECT_EQ(make(kOne | 0x401, 0x3FFF), 1.0 + 0x1p-52);      // above the tie
  EXPECT_EQ(make(~uint64_t{0}, 0x3FFF), 2.0);                // carries into the exponent
  EXPECT_EQ(make(kOne, 0x3FFF + 1024), HUGE_VAL);            // too large
  EXPECT_EQ(make(kOne, 0xBFFF + 1024), -HUGE_VAL);
  EXPECT_EQ(make(kOne, 0x3FFF - 1080), 0.0);  // too small
  EXPECT_EQ(make(kOne, 0x3FFF - 1074), std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(make(kOne, 0x3FFF - 1075), 0.0);  // half the smallest: even
  EXPECT_EQ(make(kOne | 1, 0x3FFF - 1075), std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(make(kOne, 0), 0.0);             // extended denormal range
  EXPECT_TRUE(std::isnan(make(0, 0x7FFF)));  // pseudo-infinity
  EXPECT_EQ(make(kOne, 0x7FFF), HUGE_VAL);
}

TEST(VariantStream, BadStreams) {
  struct Case {
    const char* name;
    Bytes bytes;
  };
  const Case cases[] = {
      {"empty", {}},
      {"unknown-7", {7}},
      {"unknown-10", {10}},
      {"unknown-11", {11}},
      {"unknown-14", {14}},
      {"unknown-20", {20}},
      {"unknown-255", {255}},
      {"int16-short", {3, 1}},
      {"extended-short", {5, 0, 0, 0}},
      {"string-short", {6, 5, 'a'}},
      {"lstring-huge", Concat({{12}, Raw<int32_t>(0x7FFFFFFF)})},
      {"lstring-negative", Concat({{12}, Raw<int32_t>(-1), {'a'}})},
      {"wstring-huge", Concat({{18}, Raw<int32_t>(0x7FFFFFFF), {'a', 0}})},
      {"wstring-negative", Concat({{18}, Raw<int32_t>(-5)})},
      {"wstring-odd", {18, 1, 0, 0, 0, 'a'}},
      {"list-huge", Concat({{1, 19}, Raw<int64_t>(int64_t{1} << 62), {0, 0}})},
      {"list-negative", {1, 2, 0xFF, 0}},
      {"list-short", {1, 2, 3, 0, 0}},
      {"list-count-missing", {1, 3, 1}},
      {"list-bad-element", {1, 2, 1, 7}},
  };
  for (const Case& c : cases) {
    TBytesStream stream(TBytes(c.bytes.begin(), c.bytes.end()));
    try {
      ReadVariantFunc(stream);
      ADD_FAILURE() << c.name;
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), u"Stream read error") << c.name;
    }
  }
  // Lists nested deeper than the limit.
  Bytes deep;
  for (int i = 0; i <= kMaxVariantStreamNesting; ++i) deep.insert(deep.end(), {1, 2, 1});
  deep.push_back(0);
  TBytesStream stream(TBytes(deep.begin(), deep.end()));
  EXPECT_THROW(ReadVariantFunc(stream), EReadError);
  Bytes allowed(deep.begin() + 3, deep.end());
  EXPECT_TRUE(ReadFrom(allowed).IsArray());
}

TEST(VariantStream, TruncatedPrefixes) {
  const Variant values[] = {
      VarArrayOf({Variant(1), Variant(u"text"), Variant(2.5), Variant(int64_t{1} << 40)}),
      Variant::FromAnsiString(std::string(300, 'z')), Variant(Currency{-7})};
  for (const Variant& v : values) {
    const Bytes full = Written(v);
    for (size_t n = 0; n < full.size(); ++n) {
      TBytesStream stream(TBytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n)));
      EXPECT_THROW(ReadVariantFunc(stream), EReadError) << n;
    }
  }
}

TEST(VariantStream, WriteErrors) {
  // A custom variant without a text form cannot be written.
  struct Opaque : TCustomVariantType {
    String Name() const override { return u"Opaque"; }
    Variant CastTo(const Variant& s, TVarType t) const override {
      throw EVariantTypeCastError(u"Could not convert variant");
    }
    Variant CastFrom(const Variant& s) const override { return s; }
  };
  static Opaque* opaque = new Opaque();
  TBytesStream stream;
  try {
    WriteVariantProc(stream, Variant::FromCustom(*opaque, nullptr));
    ADD_FAILURE();
  } catch (const EWriteError& e) {
    EXPECT_EQ(e.Message(), u"Stream write error");
  }
}

TEST(VariantStream, Untagged) {
  TBytesStream stream;
  WriteAnsiStringProc(stream, "abc");
  WriteWideStringProc(stream, u"é");
  WriteBooleanProc(stream, true);
  WriteFloatProc(stream, 0.1);
  WriteSingleProc(stream, 2.5f);
  WriteCurrencyProc(stream, Currency{12345});
  WriteDateTimeProc(stream, 45000.5);
  WriteIntegerProc(stream, -1);
  WriteLargeIntProc(stream, INT64_MIN);
  WriteSmallIntProc(stream, -2);
  WriteWordProc(stream, 65535);
  EXPECT_EQ(stream.Size(), (4 + 3) + (4 + 2) + 1 + 10 + 4 + 8 + 8 + 4 + 8 + 2 + 2);
  stream.SetPosition(0);
  EXPECT_EQ(ReadAnsiStringFunc(stream), "abc");
  EXPECT_EQ(ReadWideStringFunc(stream), u"é");
  EXPECT_TRUE(ReadBooleanFunc(stream));
  double f;
  ReadFloatProc(stream, f);
  EXPECT_EQ(f, 0.1);
  float single;
  ReadSingleProc(stream, single);
  EXPECT_EQ(single, 2.5f);
  EXPECT_EQ(ReadCurrencyFunc(stream).Value, 12345);
  EXPECT_EQ(ReadDateTimeFunc(stream), 45000.5);
  EXPECT_EQ(ReadIntegerFunc(stream), -1);
  EXPECT_EQ(ReadLargeIntFunc(stream), INT64_MIN);
  EXPECT_EQ(ReadSmallIntFunc(stream), -2);
  EXPECT_EQ(ReadWordFunc(stream), 65535);
  EXPECT_THROW(ReadWordFunc(stream), EReadError);

  TBytesStream lying(TBytes{0xFF, 0xFF, 0xFF, 0x7F, 'a'});
  EXPECT_THROW(ReadAnsiStringFunc(lying), EReadError);
  lying.SetPosition(0);
  EXPECT_THROW(ReadWideStringFunc(lying), EReadError);
}

// Random mutations of valid streams never crash and raise only the stream read error.
TEST(VariantStream, MutatedStreams) {
  const Variant seeds[] = {
      VarArrayOf({Variant(1), Variant(u"text"), Variant(2.5), Variant(int64_t{1} << 40), Null(), Variant(),
                  VarArrayOf({Variant(true), Variant(false), Variant(Currency{5})})}),
      Variant::FromAnsiString(std::string(300, 'z')),
      VarArrayOf({Variant(1.5f), Variant::FromDate(3), Variant::FromAnsiString("ab")}),
  };
  std::vector<Bytes> valid;
  for (const Variant& v : seeds) valid.push_back(Written(v));
  std::mt19937 rng(7);
  for (int iteration = 0; iteration < 4000; ++iteration) {
    Bytes bytes = valid[iteration % valid.size()];
    for (unsigned edits = 1 + rng() % 4; edits > 0; --edits) {
      const size_t at = bytes.empty() ? 0 : rng() % bytes.size();
      switch (rng() % 4) {
        case 0:
          if (!bytes.empty()) bytes[at] = static_cast<uint8_t>(rng());
          break;
        case 1:
          if (!bytes.empty()) bytes[at] = static_cast<uint8_t>(rng() % 21);  // a tag-like byte
          break;
        case 2:
          bytes.resize(at);
          break;
        default:
          if (!bytes.empty()) bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at));
          break;
      }
    }
    TBytesStream stream(TBytes(bytes.begin(), bytes.end()));
    try {
      while (stream.Position() < stream.Size()) ReadVariantFunc(stream);
    } catch (const EReadError&) {
    } catch (...) {
      ADD_FAILURE() << "unexpected exception at iteration " << iteration;
    }
  }
}

}  // namespace
}  // namespace qd
