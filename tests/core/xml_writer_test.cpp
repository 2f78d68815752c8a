#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/core/xml_test_util.h"
#include "ui/core/dxXMLDoc.h"
#include "platform/base/strings.h"
#include "platform/classes/streams.h"

namespace qd {
namespace {

using xmltest::Dump;
using xmltest::Save;

TEST(XmlWriter, IndentedLayout) {
  TdxXMLDocument doc;
  doc.SetAutoIndent(true);
  TdxXMLNode* a = doc.AddChild("a");
  a->AddChild("b");
  a->AddChild("c")->SetText("t");
  EXPECT_EQ(Save(doc),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<a>\r\n\t<b/>\r\n\t<c>t</c>\r\n</a>\r\n");
  doc.SetAutoIndent(false);
  EXPECT_EQ(Save(doc), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<a><b/><c>t</c></a>");
}

TEST(XmlWriter, HeaderAlwaysHasEncoding) {
  TdxXMLDocument doc;
  doc.SetVersion("");
  doc.SetEncoding("");
  EXPECT_EQ(doc.GetHeaderText(), "");
  EXPECT_EQ(Save(doc), "<?xml encoding=\"UTF-8\"?>\r\n");
  doc.SetStandalone("yes");
  doc.SetVersion("1.0");
  EXPECT_EQ(doc.GetHeaderText(), "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n");
}

TEST(XmlWriter, EncodeString) {
  struct Case {
    std::string input;
    bool removeBreaks;
    std::string expected;
  };
  const Case cases[] = {
      {"a<b>&\"'", false, "a&lt;b&gt;&amp;&quot;&apos;"},
      {"x\ty\r\nz", false, "x&#9;y&#13;&#10;z"},
      {"x\ty\r\nz", true, "x&#9;y  z"},
      {"\x1F\x01", false, "_x001F__x0001_"},
      {"a_x0041_b", false, "a_x005F_x0041_b"},
      {"_xFFFF_", false, "_x005F_xFFFF_"},
      {"_x41_", false, "_x41_"},  // not an escape: copied
      // "_xHHHH" before a byte written as an escape would join that escape's "_" when read.
      {std::string("_x0000\0", 7), false, "_x005F_x0000_x0000_"},
      {"_x00411", false, "_x00411"},
      {"_x0041\t", false, "_x0041&#9;"},
      {"&lt;", false, "&amp;lt;"},
      {"plain", false, "plain"},
      {"", false, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TdxXMLHelper::EncodeString(std::string_view(c.input), c.removeBreaks), c.expected) << c.input;
    // Whatever is encoded decodes back (line breaks excepted where they were removed).
    if (!c.removeBreaks) {
      EXPECT_EQ(TdxXMLHelper::DecodeString(c.expected), c.input) << c.input;
    }
  }
  EXPECT_EQ(TdxXMLHelper::EncodeString(StringView(u"é<"), false), "\xC3\xA9&lt;");
}

TEST(XmlWriter, PreserveAttributeMaintained) {
  TdxXMLDocument doc;
  TdxXMLNode* a = doc.AddChild("a");
  a->SetText("line1\nline2");
  a->Attributes().Add("v", "x\ny");
  TdxXMLNode* b = doc.AddChild("b");
  b->Attributes().SetValue("xml:space", "preserve");
  b->SetText("tight");
  EXPECT_EQ(Save(doc),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<a v=\"x y\" xml:space=\"preserve\">line1&#10;line2</a><b>tight</b>");
  EXPECT_EQ(a->Attributes().GetValue("xml:space"), "preserve");
  EXPECT_FALSE(b->HasAttribute("xml:space"));
  // Empty elements end in "/>" even with attributes.
  TdxXMLDocument empty;
  empty.AddChild("e")->Attributes().Add("k", "v");
  EXPECT_EQ(Save(empty), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<e k=\"v\"/>");
}

TEST(XmlWriter, PreserveModeChildrenNotIndented) {
  TdxXMLDocument doc;
  doc.SetAutoIndent(true);
  TdxXMLNode* a = doc.AddChild("a");
  a->SetText(" keep ");
  a->AddChild("b");
  EXPECT_EQ(Save(doc),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<a xml:space=\"preserve\"> keep <b/>\r\n</a>\r\n");
  TdxXMLDocument back;
  back.LoadFromString(Save(doc));
  EXPECT_EQ(back.Root()->First()->Text(), " keep ");
}

TEST(XmlWriter, TextRoundTrips) {
  const std::string texts[] = {"&lt;",         "&amp;amp;", "a_x0041_b", "_x005F_", " lead",   "trail\t",
                               "two\r\nlines", "\x01\x02",  "<![CDATA[", "]]>",     "\xC3\xA9"};
  for (const std::string& text : texts) {
    TdxXMLDocument doc;
    TdxXMLNode* n = doc.AddChild("n");
    n->SetText(text);
    n->Attributes().Add("v", text);
    TdxXMLDocument back;
    back.LoadFromString(Save(doc));
    ASSERT_NE(back.Root()->First(), nullptr) << text;
    EXPECT_EQ(back.Root()->First()->Text(), text);
    if (text.find_first_of("\r\n") == std::string::npos) {
      EXPECT_EQ(back.Root()->First()->Attributes().GetValue("v"), text);
    }
  }
}

// Random trees survive save and load, indented or not.
TEST(XmlWriter, RandomTreeRoundTrip) {
  std::mt19937 rng(1234);
  auto randomText = [&](size_t maxLength) {
    static const char alphabet[] = "ab_x05F&;<>\"' \t\r\n\x01#0123456789";
    std::string s(rng() % (maxLength + 1), ' ');
    for (char& ch : s) ch = alphabet[rng() % (sizeof(alphabet) - 1)];
    return s;
  };
  for (int round = 0; round < 50; ++round) {
    TdxXMLDocument doc;
    std::vector<TdxXMLNode*> nodes{doc.Root()};
    for (int i = 0; i < 40; ++i) {
      TdxXMLNode* parent = nodes[rng() % nodes.size()];
      TdxXMLNode* child = parent->AddChild("n" + std::to_string(i));
      if (rng() % 2) child->SetText(randomText(8));
      for (unsigned k = rng() % 3; k > 0; --k)
        child->Attributes().Add("a" + std::to_string(k), randomText(6));
      nodes.push_back(child);
    }
    // Line breaks in attribute values are written as blanks; texts before later children are
    // not kept by the format, so only leaf texts are compared.
    for (TdxXMLNode* n : nodes) {
      for (TdxXMLNodeAttribute* a = n->Attributes().First(); a; a = a->Next()) {
        std::string v = a->Value();
        for (char& ch : v)
          if (ch == '\r' || ch == '\n') ch = ' ';
        a->SetValue(v);
      }
      if (n->HasChildren()) n->SetText("");
    }
    doc.SetAutoIndent(round % 2 == 1);
    const std::string saved = Save(doc);
    TdxXMLDocument back;
    back.LoadFromString(saved);
    EXPECT_EQ(Dump(back), Dump(doc)) << saved;
  }
}

TEST(XmlWriter, StringBuilderGrowth) {
  TdxXMLStringBuilder builder(2);
  builder.Append("abc");  // beyond the capacity: twice the new length
  EXPECT_EQ(builder.Capacity(), 6);
  builder.Append("defg");  // the larger of twice the capacity (12) and twice the new length (14)
  EXPECT_EQ(builder.Capacity(), 14);
  builder.Append(static_cast<uint8_t>('h'));
  EXPECT_EQ(builder.AsString(), "abcdefgh");
  EXPECT_EQ(builder.Length(), 8);
  EXPECT_THROW(builder.SetCapacity(7), EdxException);
  builder.SetCapacity(8);
  EXPECT_EQ(builder.Capacity(), 8);
  builder.SetLength(-3);
  EXPECT_EQ(builder.Length(), 0);
}

TEST(XmlWriter, FileRoundTrip) {
  const String path = Utf8ToString(std::string(QD_BINARY_DIR) + "/xml_writer_test.xml");
  TdxXMLDocument doc;
  doc.AddChild("root")->AddChild("item")->Attributes().SetValueAsInteger("n", 7);
  doc.SaveToFile(path);
  auto loaded = TdxXMLDocument::CreateEx(path);
  EXPECT_EQ(Dump(*loaded), "root{item[n=7]}");
  EXPECT_THROW(TdxXMLDocument::CreateEx(path + u".missing"), EFOpenError);
}

}  // namespace
}  // namespace qd
