#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/base/strings.h"
#include "platform/classes/encoding.h"
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

TEST_F(FilerTest, ValueSyntax) {
  struct Case {
    const char16_t* value;
    TFormValue::TKind kind;
    int64_t i;
    const char16_t* str;
  } cases[] = {
      {u"$7F", TFormValue::vkInt, 127, u""},
      {u"$FFFFFFFF", TFormValue::vkInt, -1, u""},
      {u"-$10", TFormValue::vkInt, -16, u""},
      {u"-9223372036854775808", TFormValue::vkInt, INT64_MIN, u""},
      {u"'a' +\r\n    'b'#13#$0A'c'", TFormValue::vkString, 0, u"ab\r\nc"},
      {u"''''", TFormValue::vkString, 0, u"'"},
      {u"Form1.Button1", TFormValue::vkIdent, 0, u"Form1.Button1"},
  };
  for (const auto& c : cases) {
    TFormObject o = ParseStoredForm(u"object X: T\r\n  P = " + String(c.value) + u"\r\nend");
    ASSERT_EQ(o.Props.size(), 1u);
    EXPECT_EQ(o.Props[0].Value.Kind, c.kind) << StringToUtf8(c.value);
    if (c.kind == TFormValue::vkInt) {
      EXPECT_EQ(o.Props[0].Value.Int, c.i);
    }
    if (c.kind != TFormValue::vkInt) {
      EXPECT_EQ(o.Props[0].Value.Str, c.str);
    }
  }
  TFormObject f =
      ParseStoredForm(u"inherited F: T [2]\r\n  inline Fr: TFrame\r\n  end\r\n  F = 1.5E2\r\nend");
  EXPECT_EQ(f.Kind, TFormObject::okInherited);
  EXPECT_EQ(f.Index, 2);
  EXPECT_EQ(f.Children[0].Kind, TFormObject::okInline);
  EXPECT_EQ(f.Props[0].Value.Float, 150.0);
}

TEST_F(FilerTest, InheritedFormsChangeWhatTheAncestorRead) {
  TTestRoot root(nullptr);
  ReadComponentFromText(kValidForm, &root);
  Log().clear();
  ReadComponentFromText(
      u"inherited Form1: TTestRoot\r\n"
      u"  inherited Label1: TTestWidget\r\n"
      u"    Caption = 'changed'\r\n"
      u"  end\r\n"
      u"  object Extra: TTestWidget\r\n"
      u"    Link = Form1.Button1\r\n"
      u"  end\r\n"
      u"end\r\n",
      &root);
  EXPECT_EQ(root.Label1->caption, u"changed");
  EXPECT_EQ(root.Label1->width, -12);  // untouched
  auto* extra = static_cast<TTestWidget*>(root.FindComponent(u"Extra"));
  ASSERT_NE(extra, nullptr);
  EXPECT_EQ(extra->link, root.FindComponent(u"Button1"));
  EXPECT_EQ(Log(),
            (std::vector<std::string>{"loaded Form1", "loaded Label1 link=-", "loaded Extra link=Button1"}));
  EXPECT_THROW(ReadComponentFromText(
                   u"inherited Form1: TTestRoot\r\n  inherited Nope: TTestWidget\r\n  end\r\nend", &root),
               EReadError);
}

TEST_F(FilerTest, TheProgramsStoredFormParses) {
  TResourceStream s(u"TFORM_PRINCIPAL", RT_RCDATA);
  TBytes bytes = s.ReadBytes(s.Size());
  TFormObject form = ParseStoredForm(DecodeTextBytes(bytes));
  EXPECT_EQ(form.Name, u"Form_Principal");
  EXPECT_EQ(form.ClassName, u"TForm_Principal");
  std::vector<String> names;
  const TFormValue* picture = nullptr;
  for (const auto& c : form.Children) {
    names.push_back(c.Name);
    for (const auto& p : c.Props)
      if (p.Name == u"Picture.Data" && !picture) picture = &p.Value;
  }
  EXPECT_NE(std::find(names.begin(), names.end(), u"mlog"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), u"imgFundo"), names.end());
  ASSERT_NE(picture, nullptr);
  ASSERT_EQ(picture->Kind, TFormValue::vkBinary);
  ASSERT_GT(picture->Bytes.size(), 12u);
  EXPECT_EQ(picture->Bytes[0], 13);  // length of the graphic class name
  EXPECT_EQ(std::string(picture->Bytes.begin() + 1, picture->Bytes.begin() + 14), "TdxSmartImage");
  // Printing the tree gives text that parses to the same tree.
  String printed = PrintStoredForm(form);
  EXPECT_EQ(PrintStoredForm(ParseStoredForm(printed)), printed);
}

TEST_F(FilerTest, FormsFromEmbeddedResources) {
  // resources/RCDATA/TFORMFIXTURE.form is not part of the product; a missing resource
  // raises EResNotFound and creates nothing.
  TTestRoot root(nullptr);
  EXPECT_THROW(ReadComponentResFromResource(&root, u"NO_SUCH_FORM"), EResNotFound);
  EXPECT_FALSE(InitInheritedComponent(&root, TComponent::StaticClass()));
  EXPECT_EQ(root.ComponentCount(), 0);
}

}  // namespace
}  // namespace qd
