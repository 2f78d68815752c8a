#include <gtest/gtest.h>

#include "platform/base/exceptions.h"
#include "platform/base/strings.h"
#include "platform/net/json.h"
#include "servers/test_files.h"

namespace qd {
namespace {

using testing::U8;

TEST(JSONParse, AcceptsAndRejectsLikeAStrictParser) {
  struct Case {
    const char16_t* text;
    bool valid;
    const char* kind;       // class name of the parsed value
    const char16_t* value;  // Value()
  } cases[] = {
      {u"{}", true, "TJSONObject", u""},
      {u" \t\r\n{\"a\":1} \n", true, "TJSONObject", u""},
      {u"[]", true, "TJSONArray", u""},
      {u"\"x\"", true, "TJSONString", u"x"},
      {u"true", true, "TJSONTrue", u"true"},
      {u"false", true, "TJSONFalse", u"false"},
      {u"null", true, "TJSONNull", u""},
      {u"-0", true, "TJSONNumber", u"-0"},
      {u"1.50", true, "TJSONNumber", u"1.50"},
      {u"1E+3", true, "TJSONNumber", u"1E+3"},
      {u"12345678901234567890123", true, "TJSONNumber", u"12345678901234567890123"},
      {u"\"a\\u00e9\\n\\/\\\"\"", true, "TJSONString", u"a\u00e9\n/\""},
      {u"\"\\ud83d\\ude00\"", true, "TJSONString", u"\U0001F600"},
      // an unpaired surrogate escape stays a code unit of the UTF-16 text
      {u"\"\\ud800x\"", true, "TJSONString", u"\xD800x"},
      // trailing content, including a second value
      {u"{\"a\":1}}", false, "", u""},
      {u"{\"a\":1} x", false, "", u""},
      {u"1 2", false, "", u""},
      // numbers outside the grammar
      {u"01", false, "", u""},
      {u"+1", false, "", u""},
      {u"1.", false, "", u""},
      {u".5", false, "", u""},
      {u"1e", false, "", u""},
      {u"-", false, "", u""},
      {u"NaN", false, "", u""},
      // structure
      {u"", false, "", u""},
      {u"   ", false, "", u""},
      {u"{\"a\":1,}", false, "", u""},
      {u"[1,]", false, "", u""},
      {u"{'a':1}", false, "", u""},
      {u"{a:1}", false, "", u""},
      {u"{\"a\" 1}", false, "", u""},
      {u"[1 2]", false, "", u""},
      {u"tru", false, "", u""},
      {u"True", false, "", u""},
      // strings
      {u"\"abc", false, "", u""},
      {u"\"a\tb\"", false, "", u""},
      {u"\"\\x\"", false, "", u""},
      {u"\"\\u12G4\"", false, "", u""},
      {u"\"\\u12\"", false, "", u""},
      {u"\"\\", false, "", u""},
      {u"\"\\u00", false, "", u""},
      {u"[", false, "", u""},
      {u"{\"a\":", false, "", u""},
      // a byte-order mark or a line break are not JSON whitespace
      {u"\uFEFF{}", false, "", u""},
      {u"{}\u00A0", false, "", u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(U8(c.text));
    auto v = TJSONObject::ParseJSONValue(c.text);
    ASSERT_EQ(v != nullptr, c.valid);
    if (!v) continue;
    EXPECT_STREQ(v->ClassNameA(), c.kind);
    EXPECT_TRUE(v->Value() == String(c.value)) << U8(v->Value());
  }
}

TEST(JSONParse, DeepNestingIsMalformedNotACrash) {
  String deep(100000, u'[');
  EXPECT_EQ(TJSONObject::ParseJSONValue(deep), nullptr);
  // Closed, and through objects: still refused by depth, not by a missing bracket.
  EXPECT_EQ(TJSONObject::ParseJSONValue(deep + String(100000, u']')), nullptr);
  String objects;
  for (int i = 0; i < 100000; ++i) objects += u"{\"a\":";
  objects += u"1" + String(100000, u'}');
  EXPECT_EQ(TJSONObject::ParseJSONValue(objects), nullptr);
  String ok = String(100, u'[') + String(100, u']');
  EXPECT_NE(TJSONObject::ParseJSONValue(ok), nullptr);
}

TEST(JSONObject, MemberLookupAndTexts) {
  auto v = TJSONObject::ParseJSONValue(
      uR"({"status":"1","status":2,"n":1.0,"dados":{"versao":"01.0.5"},"t":true,"z":null,"a":[1,"x"]})");
  ASSERT_NE(v, nullptr);
  auto* obj = dynamic_cast<TJSONObject*>(v.get());
  ASSERT_NE(obj, nullptr);
  EXPECT_EQ(obj->Count(), 7);
  // The first of two members with one name wins.
  EXPECT_EQ(U8(obj->GetValue(u"status")->Value()), "1");
  EXPECT_EQ(U8(obj->GetValue(u"n")->Value()), "1.0");
  EXPECT_EQ(U8(obj->GetValue(u"t")->Value()), "true");
  EXPECT_EQ(U8(obj->GetValue(u"z")->Value()), "");
  EXPECT_TRUE(obj->GetValue(u"z")->Null());
  EXPECT_EQ(U8(obj->GetValue(u"dados")->Value()), "");
  EXPECT_EQ(U8(obj->GetValue(u"a")->Value()), "");
  EXPECT_EQ(obj->GetValue(u"Status"), nullptr);  // names are case-sensitive
  EXPECT_EQ(obj->GetValue(u"missing"), nullptr);
  auto* dados = dynamic_cast<TJSONObject*>(obj->GetValue(u"dados"));
  ASSERT_NE(dados, nullptr);
  EXPECT_EQ(U8(dados->GetValue(u"versao")->Value()), "01.0.5");
  EXPECT_EQ(U8(obj->ToString()),
            R"({"status":"1","status":2,"n":1.0,"dados":{"versao":"01.0.5"},"t":true,"z":null,"a":[1,"x"]})");
}

TEST(JSONValue, ToStringEscapesWhatJSONRequires) {
  TJSONObject obj;
  obj.AddPair(u"k\"", u"a\\b\n\x01/\u00e9");
  EXPECT_EQ(U8(obj.ToString()), "{\"k\\\"\":\"a\\\\b\\n\\u0001/\xC3\xA9\"}");
  // Round trip.
  auto back = TJSONObject::ParseJSONValue(obj.ToString());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->ToString(), obj.ToString());
}

TEST(JSONNumber, Conversions) {
  EXPECT_EQ(TJSONNumber(u"-42").AsInt64(), -42);
  EXPECT_DOUBLE_EQ(TJSONNumber(u"1.5e2").AsDouble(), 150.0);
  EXPECT_THROW(TJSONNumber(u"1.5").AsInt64(), EConvertError);
  EXPECT_THROW(TJSONNumber(u"99999999999999999999").AsInt64(), EConvertError);
}

}  // namespace
}  // namespace qd
