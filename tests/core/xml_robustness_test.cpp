#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/core/xml_test_util.h"
#include "ui/core/dxXMLDoc.h"
#include "platform/classes/streams.h"

namespace qd {
namespace {

using xmltest::Save;

int Depth(const TdxXMLDocument& ADoc) {
  int depth = 0;
  for (TdxXMLNode* n = ADoc.Root()->First(); n; n = n->First()) ++depth;
  return depth;
}

// Freeing, copying, saving and loading a very deep tree use no recursion.
TEST(XmlRobustness, DeepNesting) {
  constexpr int kDepth = 100000;
  std::string text;
  for (int i = 0; i < kDepth; ++i) text += "<a>";
  text += "x";
  for (int i = 0; i < kDepth; ++i) text += "</a>";
  auto doc = std::make_unique<TdxXMLDocument>();
  doc->LoadFromString(text);
  ASSERT_EQ(Depth(*doc), kDepth);

  const std::string saved = Save(*doc);
  EXPECT_EQ(saved.size(), std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n").size() + text.size());
  TdxXMLDocument back;
  back.LoadFromString(saved);
  EXPECT_EQ(Depth(back), kDepth);

  TdxXMLNode copy;
  copy.Assign(*doc->Root());
  int depth = 0;
  for (TdxXMLNode* n = copy.First(); n; n = n->First()) ++depth;
  EXPECT_EQ(depth, kDepth);
  doc.reset();  // frees the whole chain

  // Unclosed elements nest as deep as the data goes.
  std::string unclosed;
  for (int i = 0; i < kDepth; ++i) unclosed += "<b>";
  TdxXMLDocument open;
  open.LoadFromString(unclosed);
  EXPECT_EQ(Depth(open), kDepth);
}

TEST(XmlRobustness, DeepIndentedSave) {
  constexpr int kDepth = 2000;
  TdxXMLDocument doc;
  TdxXMLNode* n = doc.Root();
  for (int i = 0; i < kDepth; ++i) n = n->AddChild("a");
  doc.SetAutoIndent(true);
  const std::string saved = Save(doc);
  TdxXMLDocument back;
  back.LoadFromString(saved);
  EXPECT_EQ(Depth(back), kDepth);
}

TEST(XmlRobustness, HugeTokens) {
  const std::string digits(1 << 20, '9');
  const std::string name(1 << 20, 'n');
  TdxXMLDocument doc;
  doc.LoadFromString("<" + name + " v='&#" + digits + ";'>&#" + digits + ";</" + name + ">");
  TdxXMLNode* n = doc.Root()->First();
  ASSERT_NE(n, nullptr);
  EXPECT_EQ(n->Name().size(), name.size());
  EXPECT_EQ(n->Text(), "&#" + digits + ";");
  EXPECT_EQ(n->Attributes().GetValue("v"), "&#" + digits + ";");

  // Chained entities are decoded once each, however long the chain.
  std::string chain = "&";
  for (int i = 0; i < 100000; ++i) chain += "amp;";
  doc.LoadFromString("<a>" + chain + "</a>");
  EXPECT_EQ(doc.Root()->First()->Text().size(), chain.size() - 4);
}

TEST(XmlRobustness, ManyUnterminatedOpeners) {
  std::string text = "<a>";
  for (int i = 0; i < 50000; ++i) text += "<!--<![CDATA[";
  TdxXMLDocument doc;
  doc.LoadFromString(text);
  EXPECT_EQ(doc.Root()->First()->Name(), "a");
}

// Random mutations of valid documents: the parser never crashes and raises nothing but the
// library's own errors; whatever it builds can be saved and read again.
TEST(XmlRobustness, MutatedDocuments) {
  const std::string seeds[] = {
      "<?xml version=\"1.0\" encoding=\"windows-1252\"?><svg width='10' height=\"20\"><g id=\"a\">"
      "<rect x=\"1\"/><text xml:space='preserve'> hi &amp; _x0041_ </text></g><!-- c --></svg>",
      "<a><![CDATA[x<y]]><b c=d e/>tail<c>&#65;&lt;&#300;</c></a>",
      "<!DOCTYPE x><r>\n\t<i n='1'>t</i>\n\t<i n='2'/>\n</r>",
  };
  std::mt19937 rng(20240229);
  const char interesting[] = "<>/?!=\"'&;#_x[]-\t\r\n\0";
  for (int iteration = 0; iteration < 3000; ++iteration) {
    std::string text = seeds[iteration % 3];
    for (unsigned edits = 1 + rng() % 8; edits > 0; --edits) {
      const size_t at = text.empty() ? 0 : rng() % text.size();
      switch (rng() % 5) {
        case 0:
          if (!text.empty()) text[at] = interesting[rng() % (sizeof(interesting) - 1)];
          break;
        case 1:
          if (!text.empty()) text[at] = static_cast<char>(rng());
          break;
        case 2:
          if (!text.empty()) text.erase(at, 1 + rng() % 8);
          break;
        case 3:
          text.insert(at, text.substr(rng() % (text.size() + 1), rng() % 16));
          break;
        default:
          text.resize(at);
          break;
      }
    }
    try {
      TdxXMLDocument doc;
      doc.LoadFromString(text);
      const std::string saved = Save(doc);
      TdxXMLDocument back;
      back.LoadFromString(saved);
    } catch (const Exception&) {
      // the library's own errors are allowed
    } catch (...) {
      ADD_FAILURE() << "foreign exception for input: " << text;
    }
  }
}

}  // namespace
}  // namespace qd
