#include <gtest/gtest.h>

#include <string>

#include "tests/core/xml_test_util.h"
#include "ui/core/dxXMLDoc.h"

namespace qd {
namespace {

using xmltest::Dump;

struct TreeCase {
  const char* name;
  std::string input;
  std::string expected;
};

class XmlParserTree : public ::testing::TestWithParam<TreeCase> {};

TEST_P(XmlParserTree, BuildsTree) {
  TdxXMLDocument doc;
  doc.LoadFromString(GetParam().input);
  EXPECT_EQ(Dump(doc), GetParam().expected) << GetParam().input;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, XmlParserTree,
    ::testing::Values(TreeCase{"Attributes", "<a x=1 y='2' z/>", "a[x=1,y=2,z=]"},
                      TreeCase{"NameWithoutEqualsIsValueless", "<a x y=1/>", "a[x=,y=1]"},
                      TreeCase{"QuotedValueStopsAtAngle", "<a x=\"1>2\"/>", "a[x=1]"},
                      TreeCase{"DuplicateAttributesKept", "<a x='1' x='2'/>", "a[x=1,x=2]"},
                      TreeCase{"TextBeforeEmptyChild", "<a>text<b/>tail</a>", "a\"text\"{b}"},
                      TreeCase{"TextAfterEmptyChildReplaces", "<a>text<b/>tail<c/></a>", "a\"tail\"{b c}"},
                      TreeCase{"BytesAfterEndTagDropped", "<a>text<b></b>tail</a>", "a\"text\"{b}"},
                      TreeCase{"BytesAfterEndTagDroppedBeforeChild", "<a>text<b></b>tail<c/></a>",
                               "a\"text\"{b c}"},
                      TreeCase{"CommentIsContent", "<a><!--hi--></a>", "a\"<!--hi-->\""},
                      TreeCase{"CDataUnwrapped", "<a><![CDATA[x<y]]></a>", "a\"x<y\""},
                      TreeCase{"LineBreakThenBlanksSurvive", "<a>\n   </a>", "a\"   \""},
                      TreeCase{"LineBreakThenTabsTrimmed", "<a>\n\t\t</a>", "a"},
                      TreeCase{"PreserveKeepsControlBytes", "<a xml:space='PRESERVE'>\n\tx\n</a>",
                               "a[xml:space=PRESERVE]\"\n\tx\n\""},
                      TreeCase{"ClosingTagsNotMatched", "<a><b></x></y>", "a{b}"},
                      TreeCase{"NamesKeepPrefix", "<svg:g svg:id='1'/>", "svg:g[svg:id=1]"},
                      TreeCase{"DoctypeSkipped", "<!DOCTYPE html><a/>", "a"},
                      TreeCase{"TopLevelSiblings", "<a/><b/>", "a b"},
                      TreeCase{"NamesNotDecoded", "<a&amp; v='&amp;'/>", "a&amp;[v=&]"}),
    [](const auto& info) { return std::string(info.param.name); });

// Malformed data ends the parse quietly; what was built stays.
INSTANTIATE_TEST_SUITE_P(
    Malformed, XmlParserTree,
    ::testing::Values(TreeCase{"AngleInsideHeader", "<a><b <c/></b></a>", "a{b}"},
                      TreeCase{"CommentInsideHeader", "<a><b <!--x--> /></a>", "a{b}"},
                      TreeCase{"ClosingTagAtTopLevel", "</x><a/>", ""},
                      TreeCase{"UnterminatedHeader", "<a x=\"open", "a[x=open]"},
                      TreeCase{"UnterminatedComment", "<a><!-- open <b/></a>", "a\"<!-- open <b/>\""},
                      TreeCase{"UnterminatedCData", "<a><![CDATA[ open", "a"},
                      TreeCase{"OnlyAngles", "<<<<>>>>", ""}, TreeCase{"OnlyClosers", "></>/>?>", ""},
                      TreeCase{"EqualsAsName", "<=a/>", "=[a=]"}, TreeCase{"TruncatedAfterOpen", "<", ""},
                      TreeCase{"EndTagOnly", "<a></", "a"}, TreeCase{"ControlBytes", "<a>\x01\x02</a>", "a"},
                      TreeCase{"NulBytes", std::string("<a\0b/>", 6), std::string("a\0b", 3)}),
    [](const auto& info) { return std::string(info.param.name); });

struct DecodeCase {
  const char* input;
  std::string expected;
};

TEST(XmlDecodeString, SinglePass) {
  const DecodeCase cases[] = {
      {"&amp;lt;", "&lt;"},    // decoded once: the round trip of the text "&lt;"
      {"&amp;amp;", "&amp;"},  //
      {"&lt;&gt;&quot;&apos;&amp;", "<>\"'&"},
      {"&#9;&#10;&#13;", "\t\n\r"},  //
      {"&#65;&#065;", "AA"},         //
      {"&#255;", "\xFF"},            //
      {"&#256;", "&#256;"},          // above 255: unchanged
      {"&#300;", "&#300;"},          //
      {"&#x41;", "&#x41;"},          // hexadecimal references are not read
      {"&nbsp;", "&nbsp;"},          // nor other named entities
      {"&lt", "&lt"},                // missing ";"
      {"&#;", "&#;"},                //
      {"&#99999999999999999999;", "&#99999999999999999999;"},
      {"_x0041_", "A"},              //
      {"_x00ff_", "\xFF"},           //
      {"_x0100_", "_x0100_"},        // above 255: unchanged
      {"_x005F_x0041_", "_x0041_"},  // the writer's escaped underscore
      {"a_x005F_x0041_b", "a_x0041_b"},
      {"_x004", "_x004"},      // too short
      {"_xZZZZ_", "_xZZZZ_"},  //
      {"&", "&"},
      {"", ""},
  };
  for (const DecodeCase& c : cases) EXPECT_EQ(TdxXMLHelper::DecodeString(c.input), c.expected) << c.input;
}

TEST(XmlParser, Header) {
  TdxXMLDocument doc;
  doc.LoadFromString("<?xml version=\"1.1\" encoding=\"utf-8\"?><a/>");
  EXPECT_EQ(doc.Version(), "1.1");
  EXPECT_EQ(doc.Encoding(), "utf-8");
  // A later processing instruction is taken for the header too; missing values fall back.
  doc.LoadFromString("<?xml version=\"1.1\" encoding=\"ascii\"?><a/><?pi?>");
  EXPECT_EQ(doc.Version(), "1.0");
  EXPECT_EQ(doc.Encoding(), "UTF-8");
  // An empty buffer leaves the root empty and the header values as they were.
  doc.SetVersion("9");
  doc.LoadFromString("");
  EXPECT_EQ(doc.Root()->Count(), 0);
  EXPECT_EQ(doc.Version(), "9");
}

TEST(XmlParser, WindowsCodePage) {
  TdxXMLDocument doc;
  doc.LoadFromString("<?xml encoding=\"windows-1252\"?><a\xE9 v=\"\xE9\x80\">\xE9</a\xE9>");
  TdxXMLNode* a = doc.Root()->First();
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->Name(), "a\xE9");                                     // names keep their bytes
  EXPECT_EQ(a->Attributes().GetValue("v"), "\xC3\xA9\xE2\x82\xAC");  // é€ in UTF-8
  EXPECT_EQ(a->TextAsString(), u"é");
}

TEST(XmlParser, ReloadStartsFromEmptyRoot) {
  TdxXMLDocument doc;
  doc.LoadFromString("<a/><b/>");
  doc.Root()->Attributes().Add("keep", "1");
  doc.LoadFromString("<c/>");
  EXPECT_EQ(Dump(doc), "c");
  EXPECT_EQ(doc.Root()->Attributes().First(), nullptr);
}

TEST(XmlFindDataInMemory, FirstOccurrenceFromStart) {
  const std::string buffer = "--><!-- a --> b -->";
  size_t position = 0;
  EXPECT_TRUE(FindStringInMemoryA("-->", buffer.data(), position, 0, buffer.size()));
  EXPECT_EQ(position, 0u);
  EXPECT_TRUE(FindStringInMemoryA("-->", buffer.data(), position, 1, buffer.size()));
  EXPECT_EQ(position, 10u);
  EXPECT_FALSE(FindStringInMemoryA("-->", buffer.data(), position, 17, buffer.size()));
  EXPECT_FALSE(FindStringInMemoryA("x", buffer.data(), position, 0, buffer.size()));
}

}  // namespace
}  // namespace qd
