#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/base/strings.h"
#include "platform/classes/filer.h"
#include "platform/classes/lists.h"
#include "platform/classes/streams.h"
#include "tests/platform/classes/form_fixtures.h"

namespace qd {
namespace {

using namespace formtest;

struct FilerTest : ::testing::Test {
  void SetUp() override {
    RegisterFormFixtures();
    Log().clear();
    Alive() = 0;
  }
  void TearDown() override { EXPECT_EQ(Alive(), 0) << "components left behind"; }
};

TEST_F(FilerTest, ReadsEveryKindOfValueAndWritesTheSameTextBack) {
  auto* root = static_cast<TTestRoot*>(ReadComponentFromText(kValidForm, nullptr));
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->Name(), u"Form1");
  EXPECT_EQ(root->caption, u"Olá 'mundo'\r\nsegunda");
  ASSERT_NE(root->Label1, nullptr);  // published field bound by name
  TTestWidget* l = root->Label1;
  EXPECT_EQ(l->width, -12);
  EXPECT_EQ(l->height, 127);
  EXPECT_FALSE(l->visible);
  EXPECT_EQ(l->align, wal_Client);
  EXPECT_EQ(l->ratio, 1.25);
  EXPECT_EQ(l->color, 0xFF);  // clRed by name
  EXPECT_EQ(l->font->name, u"Tahoma");
  EXPECT_EQ(l->font->size, -11);
  EXPECT_TRUE(l->font->style.Contains(wfsBold));
  EXPECT_TRUE(l->font->style.Contains(wfsItalic));
  EXPECT_EQ(l->lines->Text(), u"first\r\nsecond line\r\n");
  ASSERT_EQ(l->columns->Count(), 2);
  EXPECT_EQ(static_cast<TTestColumn*>(l->columns->Items(1))->caption, u"B");
  EXPECT_EQ(l->data, (TBytes{0x09, 'T', 'P', 'N', 'G', 'I', 'm', 'a', 'g', 'e', 0x89, 0x50}));
  EXPECT_EQ(l->DesignInfo(), 0u);
  TTestWidget* panel = static_cast<TTestWidget*>(root->FindComponent(u"Panel1"));
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->link, l);  // a reference resolved after the read
  EXPECT_EQ(l->parent, root);
  auto* inner = static_cast<TTestWidget*>(root->FindComponent(u"Button1"));
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->parent, panel);
  EXPECT_EQ(inner->link, root);
  ASSERT_TRUE(inner->OnClick);
  inner->OnClick(inner);
  EXPECT_EQ(root->clicks, 1);
  auto* timer = root->FindComponent(u"Timer1");
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->DesignInfo(), (20u << 16) | 100u);
  // Loaded runs once per component, in reading order, after everything was read.
  EXPECT_EQ(Log(),
            (std::vector<std::string>{"loaded Form1", "loaded Label1 link=-", "loaded Panel1 link=Label1",
                                      "loaded Button1 link=Form1", "loaded Timer1"}));
  for (int i = 0; i < root->ComponentCount(); ++i)
    EXPECT_FALSE(root->Components(i)->ComponentState().Contains(csLoading));
  EXPECT_EQ(WriteComponentToText(root), kValidForm);
  delete root;
}

TEST_F(FilerTest, RoundTripThroughStreamsIntoAnExistingRoot) {
  auto* a = static_cast<TTestRoot*>(ReadComponentFromText(kValidForm, nullptr));
  TMemoryStream m;
  WriteComponentToStream(&m, a);
  a->Label1->caption = u"changed";
  a->Label1->data.clear();
  m.SetPosition(0);
  TTestRoot b(nullptr);
  ReadComponentFromStream(&m, &b);
  EXPECT_EQ(b.Name(), u"Form1");
  ASSERT_NE(b.Label1, nullptr);
  EXPECT_EQ(b.Label1->data.size(), 12u);
  EXPECT_EQ(WriteComponentToText(&b), kValidForm);
  delete a;
}

TEST_F(FilerTest, LongStringsAndSpecialCharactersSurvive) {
  TTestRoot root(nullptr);
  root.SetName(u"R");
  String s;
  for (int i = 0; i < 300; ++i) s.push_back(static_cast<Char>(u'a' + i % 26));
  s += u"\u00E9\u20AC'\t\0end";
  root.caption = s;
  String text = WriteComponentToText(&root);
  EXPECT_NE(text.find(u"' +\r\n"), String::npos);  // split over lines
  TTestRoot back(nullptr);
  ReadComponentFromText(text, &back);
  EXPECT_EQ(back.caption, s);
}

TEST_F(FilerTest, MalformedFormsRaiseReadErrorsWithTheLineAndLeaveNothing) {
  struct Case {
    const char16_t* text;
    const char16_t* message;
  } cases[] = {
      {u"object Form1: TTestRoot\r\n  Caption = 'x'\r\n", u"'end' expected but end of file found on line 3"},
      {u"object Form1: TTestRoot\r\n  Caption = 'open\r\nend\r\n", u"Unterminated string on line 2"},
      {u"object Form1: TTestRoot\r\n  Tag = 12abc\r\nend", u"Invalid number on line 2"},
      {u"object Form1: TTestRoot\r\n  Nope = 1\r\nend",
       u"Error reading Form1.Nope: Property Nope does not exist on line 2"},
      {u"object Form1: TNoSuchRoot\r\nend", u"Class TNoSuchRoot not found on line 1"},
      {u"object Form1: TTestRoot\r\n  object A: TNoSuchClass\r\n  end\r\nend",
       u"Error reading Form1: Class TNoSuchClass not found on line 2"},
      {u"object Form1: TTestRoot\r\n  object A: TTestWidget\r\n  end\r\n  object a: TTestWidget\r\n  "
       u"end\r\nend",
       u"Error reading Form1: A component named a already exists on line 4"},
      {u"object Form1: TTestRoot\r\n  object A: TTestWidget\r\n    Align = wal_Nowhere\r\n  end\r\nend",
       u"Error reading Form1.A.Align: Invalid property value on line 3"},
      {u"object Form1: TTestRoot\r\n  object A: TTestWidget\r\n    Font.Style = [wfsBold, bogus]\r\n  "
       u"end\r\nend",
       u"Error reading Form1.A.Font.Style: Invalid property value on line 3"},
      {u"object Form1: TTestRoot\r\n  object A: TTestWidget\r\n    Link = Missing\r\n  end\r\nend",
       u"Error reading Form1.A.Link: Invalid reference to Missing on line 3"},
      {u"object Form1: TTestRoot\r\n  object A: TTestWidget\r\n    OnClick = NoHandler\r\n  end\r\nend",
       u"Error reading Form1.A.OnClick: Method NoHandler not found on line 3"},
      {u"object Form1: TTestRoot\r\n  object A: TTestWidget\r\n    Data = {0A1}\r\n  end\r\nend",
       u"Invalid binary value on line 3"},
      {u"object Form1: TTestRoot\r\n  object A: TTestWidget\r\n    Width = 99999999999\r\n  end\r\nend",
       u"Error reading Form1.A.Width: Invalid property value on line 3"},
      {u"object Form1: TTestRoot\r\n  object A: TTestWidget\r\n    Lines.Strings = ('a' 1)\r\n  end\r\nend",
       u"Error reading Form1.A.Lines.Strings: Invalid property value on line 3"},
      {u"object Form1: TTestRoot\r\n  object 9: TTestWidget\r\n  end\r\nend",
       u"Identifier expected but '9' found on line 2"},
      {u"object Form1: TTestRoot\r\nend\r\njunk", u"End of file expected on line 3"},
      {u"", u"'object' expected but end of file found on line 1"},
  };
  for (const auto& c : cases) {
    try {
      TComponent* r = ReadComponentFromText(c.text, nullptr);
      delete r;
      ADD_FAILURE() << "accepted: " << StringToUtf8(c.text);
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), c.message) << StringToUtf8(c.text);
    }
    EXPECT_EQ(Alive(), 0) << StringToUtf8(c.text);
    // Into an existing root (whose class is not checked): the components created by the
    // failed read are gone.
    if (String(c.text).find(u"TNoSuchRoot") != String::npos) continue;
    TTestRoot existing(nullptr);
    EXPECT_THROW(ReadComponentFromText(c.text, &existing), EReadError);
    EXPECT_EQ(existing.ComponentCount(), 0);
    EXPECT_FALSE(existing.ComponentState().Contains(csLoading));
  }
  // Deep nesting is refused, not a stack overflow.
  String deep = u"object F: TTestRoot\r\n  Lines.Strings = ";
  for (int i = 0; i < 100000; ++i) deep += u"(";
  EXPECT_THROW(ReadComponentFromText(deep, nullptr), EParserError);
}

TEST_F(FilerTest, RandomlyDamagedFormsEitherLoadOrRaiseReadError) {
  std::string valid = StringToUtf8(kValidForm);
  std::mt19937 rng(20240611);
  const std::vector<std::string> tokens = {"'",
                                           "#",
                                           "(",
                                           ")",
                                           "<",
                                           ">",
                                           "[",
                                           "]",
                                           "{",
                                           "}",
                                           "=",
                                           ".",
                                           "+",
                                           "$",
                                           "end",
                                           "object ",
                                           "item",
                                           "nil",
                                           "True",
                                           "9",
                                           "-",
                                           "\r\n",
                                           "Label1",
                                           "TTestWidget",
                                           "Panel1.Button1",
                                           "#65535",
                                           "1E308",
                                           "$FFFFFFFFFFFFFFFFF"};
  int loaded = 0, refused = 0;
  for (int i = 0; i < 3000; ++i) {
    std::string s = valid;
    int edits = 1 + static_cast<int>(rng() % 4);
    for (int e = 0; e < edits && !s.empty(); ++e) {
      size_t pos = rng() % s.size();
      switch (rng() % 5) {
        case 0:
          s[pos] = static_cast<char>(rng() % 128);
          break;
        case 1:
          s.erase(pos, 1 + rng() % 8);
          break;
        case 2:
          s.insert(pos, tokens[rng() % tokens.size()]);
          break;
        case 3:
          s.resize(pos);
          break;
        default:
          s.insert(pos, s.substr(rng() % s.size(), rng() % 40));
          break;
      }
    }
    try {
      TComponent* r = ReadComponentFromText(Utf8ToString(s), nullptr);
      ++loaded;
      delete r;
    } catch (const EReadError&) {
      ++refused;
    }
    ASSERT_EQ(Alive(), 0) << s;
  }
  EXPECT_GT(refused, 0);
  EXPECT_GT(loaded, 0);
}

TEST_F(FilerTest, FormsFromEmbeddedResources) {
  // resources/RCDATA/TFORMFIXTURE.dfm is not part of the product; a missing resource
  // raises EResNotFound and creates nothing.
  TTestRoot root(nullptr);
  EXPECT_THROW(ReadComponentResFromResource(&root, u"NO_SUCH_FORM"), EResNotFound);
  EXPECT_FALSE(InitInheritedComponent(&root, TComponent::StaticClass()));
  EXPECT_EQ(root.ComponentCount(), 0);
}

}  // namespace
}  // namespace qd
