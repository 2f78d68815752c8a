#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/core/xml_test_util.h"
#include "ui/core/dxXMLDoc.h"
#include "platform/base/format.h"
#include "platform/base/strings.h"
#include "platform/base/variant.h"

namespace qd {
namespace {

using xmltest::Dump;

TEST(XmlAttributes, IntegerReads) {
  struct Case {
    const char* text;
    int64_t expected;  // INT64_MIN: conversion error
  };
  const Case cases[] = {{"12", 12},         {"-7", -7},      {"TRUE", 1},       {"false", 0},
                        {"yes", INT64_MIN}, {"", INT64_MIN}, {"1.5", INT64_MIN}};
  TdxXMLNodeAttributes attrs;
  for (const Case& c : cases) {
    attrs.Clear();
    TdxXMLNodeAttribute* a = attrs.Add("v", c.text);
    if (c.expected == INT64_MIN) {
      try {
        a->ValueAsInteger();
        ADD_FAILURE() << c.text;
      } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), u"'" + Utf8ToString(c.text) + u"' is not a valid integer value");
      }
      EXPECT_EQ(attrs.GetValueAsInteger("v", 42), 42) << c.text;  // the list-level getter falls back
      EXPECT_EQ(attrs.GetValueAsInt64("v", 43), 43) << c.text;
    } else {
      EXPECT_EQ(a->ValueAsInteger(), c.expected) << c.text;
      EXPECT_EQ(a->ValueAsInt64(), c.expected) << c.text;
    }
  }
  attrs.Clear();
  EXPECT_EQ(attrs.Add("big", "9000000000")->ValueAsInt64(), 9000000000);
  EXPECT_THROW(attrs.Find("big")->ValueAsInteger(), EConvertError);
}

TEST(XmlAttributes, TypedRoundTrips) {
  TdxXMLNodeAttributes attrs;
  attrs.SetValueAsFloat("f", 1.5);
  attrs.SetValueAsInteger("i", -3);
  attrs.SetValueAsInt64("l", INT64_MIN);
  attrs.SetValueAsBoolean("b", true);
  attrs.SetValueAsString("s", u"ação");
  EXPECT_EQ(attrs.GetValue("f"), "1.5");
  EXPECT_EQ(attrs.GetValueAsFloat("f"), 1.5);
  EXPECT_EQ(attrs.GetValueAsInteger("i"), -3);
  EXPECT_EQ(attrs.GetValueAsInt64("l"), INT64_MIN);
  EXPECT_EQ(attrs.GetValue("b"), "1");
  EXPECT_TRUE(attrs.GetValueAsBoolean("b"));
  EXPECT_EQ(attrs.GetValue("s"), "a\xC3\xA7\xC3\xA3o");
  EXPECT_EQ(attrs.GetValueAsString("s"), u"ação");
  // Missing attributes give the defaults.
  EXPECT_EQ(attrs.GetValueAsFloat("none", 2.5), 2.5);
  EXPECT_EQ(attrs.GetValueAsString("none", u"d"), u"d");
  EXPECT_TRUE(attrs.GetValueAsBoolean("none", true));
  // A bad float propagates its conversion error.
  attrs.SetValue("bad", "1,5");
  EXPECT_THROW(attrs.GetValueAsFloat("bad"), EConvertError);
}

TEST(XmlAttributes, BooleanTextRules) {
  struct Case {
    const char* text;
    bool expected;
  };
  const Case cases[] = {{"1", true},    {"-5", true},     {"0", false},   {"true", true},
                        {"TrUe", true}, {"false", false}, {"yes", false}, {"", false}};
  for (const Case& c : cases) EXPECT_EQ(TdxXMLHelper::DecodeBoolean(c.text), c.expected) << c.text;
  EXPECT_TRUE(TdxXMLHelper::IsBoolean("FALSE"));
  EXPECT_FALSE(TdxXMLHelper::IsBoolean("0"));

  // The word true in capitals reads as integer 1 and is written back as "1".
  TdxXMLNodeAttributes attrs;
  attrs.SetValue("v", "TRUE");
  EXPECT_EQ(attrs.GetValueAsInteger("v"), 1);
  attrs.SetValueAsBoolean("v", attrs.GetValueAsBoolean("v"));
  EXPECT_EQ(attrs.GetValue("v"), "1");
}

TEST(XmlAttributes, DefaultBoolean) {
  TdxXMLNodeAttributes attrs;
  EXPECT_EQ(attrs.GetValueAsDefaultBoolean("v"), bDefault);
  attrs.SetValueAsDefaultBoolean("v", bTrue);
  EXPECT_EQ(attrs.GetValue("v"), "1");
  EXPECT_EQ(attrs.GetValueAsDefaultBoolean("v"), bTrue);
  attrs.SetValueAsDefaultBoolean("v", bFalse);
  EXPECT_EQ(attrs.GetValueAsDefaultBoolean("v"), bFalse);
  attrs.SetValueAsDefaultBoolean("v", bDefault);
  EXPECT_FALSE(attrs.Exists("v"));
}

TEST(XmlAttributes, FirstMatchIgnoringAsciiCase) {
  TdxXMLNodeAttributes attrs;
  attrs.Add("Name", "1");
  attrs.Add("NAME", "2");
  attrs.Add("\xC3\x89", "3");  // É: only ASCII letters fold
  EXPECT_EQ(attrs.GetValue("name"), "1");
  attrs.SetValue("name", "x");
  EXPECT_EQ(attrs.First()->Value(), "x");
  EXPECT_EQ(attrs.Last()->Value(), "3");
  EXPECT_FALSE(attrs.Exists("\xC3\xA9"));
  attrs.Delete("name");
  EXPECT_EQ(attrs.GetValue("name"), "2");
  EXPECT_EQ(attrs.Count(), 2);
}

TEST(XmlDateTime, Parse) {
  struct Case {
    const char* text;
    int y, m, d, h, n, s, ms;
    bool utc;
  };
  const Case cases[] = {
      {"2024-02-29T23:30:00-01:30", 2024, 3, 1, 1, 0, 0, 0, true},
      {"2024-02-29", 2024, 2, 29, 0, 0, 0, 0, false},
      {"2024-01-01T10:00:00+02:00", 2024, 1, 1, 8, 0, 0, 0, true},
      {"2024-01-01T10:00:00+02", 2024, 1, 1, 8, 0, 0, 0, true},
      {"2024-01-01T10:00:00Z", 2024, 1, 1, 10, 0, 0, 0, true},
      {"2024-01-01T10:00:00.5", 2024, 1, 1, 10, 0, 0, 500, false},
      {"2024-01-01T10:00:00.1234", 2024, 1, 1, 10, 0, 0, 123, false},
      {"2024-01-01T10:00:00.0005", 2024, 1, 1, 10, 0, 0, 0, false},  // 0.5 ms: halves to even
      {"2024-01-01T10:00:00.0015", 2024, 1, 1, 10, 0, 0, 2, false},
      {"2024-01-01T10:00:00.12345678901234567890123", 2024, 1, 1, 10, 0, 0, 123, false},
  };
  for (const Case& c : cases) {
    TdxXMLDateTime dt;
    dt.Parse(c.text);
    EXPECT_EQ((std::vector<int>{dt.Year, dt.Month, dt.Day, dt.Hour, dt.Minute, dt.Second, dt.Millisecond}),
              (std::vector<int>{c.y, c.m, c.d, c.h, c.n, c.s, c.ms}))
        << c.text;
    EXPECT_EQ(dt.IsUTC, c.utc) << c.text;
  }
}

TEST(XmlDateTime, UnexpectedToken) {
  struct Case {
    const char* text;
    const char16_t* message;
  };
  const Case cases[] = {
      {"2024/02/29", u"Unexpected token was founded (\"/\" in \"2024/02/29\")"},
      {"2024", u"Unexpected token was founded (\"#0\" in \"2024\")"},
      {"2024-02-29T10-00", u"Unexpected token was founded (\"-\" in \"2024-02-29T10-00\")"},
      {"2024-02-29 x", u"Unexpected token was founded (\" \" in \"2024-02-29 x\")"},
      {"2024-02-29T10:00:00Zjunk", u"Unexpected token was founded (\"j\" in \"2024-02-29T10:00:00Zjunk\")"},
  };
  for (const Case& c : cases) {
    TdxXMLDateTime dt;
    try {
      dt.Parse(c.text);
      ADD_FAILURE() << c.text;
    } catch (const EdxXMLUnexpectedToken& e) {
      EXPECT_EQ(e.Message(), c.message);
      EXPECT_TRUE(e.InheritsFrom(EdxException::StaticClass()));
    }
  }
}

TEST(XmlDateTime, TextForms) {
  TdxXMLDateTime dt;
  dt.Assign(EncodeDate(2024, 3, 1) + EncodeTime(1, 2, 3, 45), true);
  EXPECT_EQ(dt.ToString(), "2024-03-01T01:02:03.045Z");
  dt.IsUTC = false;
  EXPECT_EQ(dt.ToString(), "2024-03-01T01:02:03.045");
  // Invalid fields raise the conversion error.
  dt.Clear();
  EXPECT_THROW(dt.ToDateTime(), EConvertError);

  TdxXMLNode node;
  node.SetTextAsDateTime(EncodeDate(1999, 12, 31) + EncodeTime(23, 59, 59, 999));
  EXPECT_EQ(node.Text(), "1999-12-31T23:59:59.999");
  EXPECT_DOUBLE_EQ(node.TextAsDateTime(), EncodeDate(1999, 12, 31) + EncodeTime(23, 59, 59, 999));
  node.SetTextAsBoolean(false);
  EXPECT_EQ(node.Text(), "false");

  TdxXMLNodeAttributes attrs;
  attrs.SetValueAsDateTime("d", EncodeDate(2020, 1, 2));
  EXPECT_EQ(attrs.GetValue("d"), "2020-01-02T00:00:00.000");
  TdxXMLDateTime read;
  EXPECT_TRUE(attrs.GetValueAsDateTime("d", read));
  EXPECT_EQ(read.Day, 2);
  EXPECT_FALSE(attrs.GetValueAsDateTime("none", read));
  dt.Assign(EncodeDate(2020, 1, 2), true);
  attrs.SetValueAsDateTime("u", dt);
  EXPECT_EQ(attrs.GetValue("u"), "2020-01-02T00:00:00.000Z");
}

TEST(XmlNode, TreeNavigation) {
  TdxXMLDocument doc;
  doc.LoadFromString("<a><b/><c><d/></c></a>");
  TdxXMLNode* a = doc.Root()->First();
  TdxXMLNode* c = a->FindChild("C");
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(a->Count(), 2);
  EXPECT_EQ(a->Items(1), c);
  EXPECT_EQ(c->Index(), 1);
  EXPECT_EQ(doc.Root()->Index(), -1);
  EXPECT_EQ(a->Level(), 0);
  EXPECT_EQ(c->First()->Level(), 2);
  EXPECT_EQ(doc.FindChild({"a", "c", "d"}), c->First());
  EXPECT_EQ(doc.FindChild({"a", "x"}), nullptr);
  EXPECT_EQ(doc.FindChild(std::vector<TdxXMLString>{}), nullptr);
  try {
    a->Items(2);
    ADD_FAILURE();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), u"List index out of bounds (2)");
  }
  EXPECT_THROW(a->Items(-1), EListError);

  // A path is created level by level when asked.
  TdxXMLNode* created;
  EXPECT_TRUE(a->FindChild({"c", "e", "f"}, created, true));
  EXPECT_EQ(Dump(doc), "a{b c{d e{f}}}");
  EXPECT_EQ(created->Parent()->Name(), "e");

  std::string visited;
  std::string separator = ";";
  doc.ForEach(
      {"a", "c"}, [&](TdxXMLNode* n, void* data) { visited += n->Name() + *static_cast<std::string*>(data); },
      &separator);
  EXPECT_EQ(visited, "d;e;");
}

TEST(XmlNode, NamesAndFlags) {
  TdxXMLNode node;
  node.SetName("a:b:c");
  EXPECT_EQ(node.NameScope(), "a:b:");
  EXPECT_EQ(node.NameWithoutNameScope(), "c");
  node.SetName("plain");
  EXPECT_EQ(node.NameScope(), "");
  EXPECT_EQ(node.NameWithoutNameScope(), "plain");
  EXPECT_TRUE(node.IsEmpty());
  EXPECT_FALSE(node.HasData());
  node.SetText("t");
  EXPECT_TRUE(node.HasData());
  EXPECT_FALSE(node.IsEmpty());
  node.SetText("");
  node.Attributes().Add("x");
  EXPECT_FALSE(node.IsEmpty());
  EXPECT_FALSE(node.HasData());
  EXPECT_EQ(node.GetChildValue("none"), u"");
  node.AddChild("k")->SetTextAsString(u"välue");
  EXPECT_EQ(node.GetChildValue("K"), u"välue");
  node.SetAttribute("n", Variant(12));
  node.SetAttribute("s", Variant(u"ç"));
  node.SetAttribute("n", Variant(u"13"));
  EXPECT_EQ(node.Attributes().GetValue("n"), "13");
  EXPECT_EQ(node.Attributes().GetValue("s"), "\xC3\xA7");
}

TEST(XmlNode, AssignCopiesStructureNotText) {
  TdxXMLDocument doc;
  doc.LoadFromString("<a x='1'>top<b y='2'>inner<c/></b></a>");
  TdxXMLNode target;
  target.SetText("own");
  target.AddChild("old");
  target.Assign(*doc.Root()->First());
  EXPECT_EQ(Dump(&target), "a[x=1]\"own\"{b[y=2]{c}}");

  // Assigning an ancestor into its own descendant copies the ancestor as it was.
  TdxXMLNode* c = doc.FindChild({"a", "b", "c"});
  c->Assign(*doc.Root()->First());
  EXPECT_EQ(Dump(doc), "a[x=1]\"top\"{b[y=2]\"inner\"{a[x=1]{b[y=2]{c}}}}");
}

TEST(XmlNode, ClearAndFreeUnlink) {
  TdxXMLDocument doc;
  doc.LoadFromString("<a x='1'>t<b/><c/></a>");
  TdxXMLNode* a = doc.Root()->First();
  delete a->FindChild("b");
  EXPECT_EQ(Dump(doc), "a[x=1]\"t\"{c}");
  a->Clear();
  EXPECT_EQ(Dump(doc), "a\"t\"");
}

}  // namespace
}  // namespace qd
