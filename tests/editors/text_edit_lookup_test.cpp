// The text editor's lookup items: moving through them with keys and the wheel, completing
// typed text from them, and taking over the item Enter selects.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/text_edit_test_util.h"
#include "ui/editors/cxTextEditLookup.h"

namespace qd::testing {
namespace {

// Text editor properties with a chosen editing style (the list styles come from descendants).
class StyledTextProperties : public TcxTextEditProperties {
  QD_CLASS_INLINE(StyledTextProperties, TcxTextEditProperties)

 public:
  using TcxTextEditProperties::TcxTextEditProperties;
  TcxEditEditingStyle GetEditingStyle() override { return Style; }
  TcxEditEditingStyle Style = esEdit;
};

// A text editor whose keys and wheel move through its lookup items, as a drop-down's do.
class ScrollingTextEdit : public TcxTextEdit {
  QD_CLASS_INLINE(ScrollingTextEdit, TcxTextEdit)

 public:
  using TcxTextEdit::TcxTextEdit;
  TClass GetPropertiesClass() const override { return StyledTextProperties::StaticClass(); }
  StyledTextProperties* Props() { return static_cast<StyledTextProperties*>(TcxCustomEdit::Properties()); }

 protected:
  bool GetScrollLookupDataList(TcxEditScrollCause) override { return Scrolls; }

 public:
  bool Scrolls = true;
};

class TextEditLookup : public TextEditTest {
 protected:
  ScrollingTextEdit* NewEdit(TcxEditEditingStyle AStyle, std::initializer_list<const char16_t*> AItems,
                             bool AScrolls = true) {
    auto* edit = NewFocusedEdit<ScrollingTextEdit>();
    edit->Scrolls = AScrolls;
    edit->Props()->Style = AStyle;
    edit->Props()->LookupItems()->BeginUpdate();
    for (const char16_t* s : AItems) edit->Props()->LookupItems()->Add(s);
    edit->Props()->LookupItems()->EndUpdate();
    edit->OnClick = TNotifyEvent(this, &TextEditLookup::Clicked);
    Application->ProcessMessages();
    return edit;
  }
  ScrollingTextEdit* NewNumberedEdit(TcxEditEditingStyle AStyle) {
    auto* edit = NewEdit(AStyle, {});
    TStrings* items = edit->Props()->LookupItems();
    items->BeginUpdate();
    for (int i = 0; i < 20; ++i) items->Add(u"Item " + IntToStr(i));
    items->EndUpdate();
    Application->ProcessMessages();
    return edit;
  }
  void Wheel(TcxCustomEdit* AEdit, int ADelta) {
    const TPoint p = AEdit->ClientToScreen(TPoint{5, 5});
    os::InjectMouseWheel(POINT{p.X, p.Y}, ADelta);
    Application->ProcessMessages();
  }
  void Clicked(TObject*) { ++clicks; }
  int clicks = 0;
};

struct NavigationCase {
  const char* name;
  TcxEditEditingStyle style;
  std::vector<std::pair<int, bool>> keys;  // key, with Ctrl
  int32_t index;
};

class TextEditLookupNavigation : public TextEditLookup,
                                 public ::testing::WithParamInterface<NavigationCase> {};

TEST_P(TextEditLookupNavigation, KeysMoveThroughTheItemsAndShowTheItem) {
  const NavigationCase& c = GetParam();
  ScrollingTextEdit* edit = NewNumberedEdit(c.style);
  for (const auto& [key, ctrl] : c.keys) Press(key, false, ctrl);
  EXPECT_EQ(edit->ItemIndex(), c.index);
  EXPECT_EQ(edit->GetDisplayText(), c.index >= 0 ? u"Item " + IntToStr(c.index) : String());
  EXPECT_EQ(clicks, c.index >= 0 ? 1 : 0) << "one click for a changed item";
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TextEditLookupNavigation,
    ::testing::Values(
        NavigationCase{"down_from_none", esEdit, {{VK_DOWN, false}}, 0},
        NavigationCase{"up_from_none_stays", esEdit, {{VK_UP, false}}, -1},
        NavigationCase{"page_down_from_none", esEdit, {{VK_NEXT, false}}, 7},
        NavigationCase{"ctrl_page_down_to_last", esEdit, {{VK_NEXT, true}}, 19},
        NavigationCase{"home_moves_the_caret_under_edit", esEdit, {{VK_HOME, false}}, -1},
        NavigationCase{"end_moves_the_caret_under_edit", esEdit, {{VK_END, false}}, -1},
        NavigationCase{"home_goes_to_first_under_fixed_list", esFixedList, {{VK_HOME, false}}, 0},
        NavigationCase{"end_goes_to_last_under_fixed_list", esFixedList, {{VK_END, false}}, 19}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextEditLookup, PagesMoveByThePageRowsAndCtrlPageUpGoesToTheFirstItem) {
  ScrollingTextEdit* edit = NewNumberedEdit(esEdit);
  Press(VK_NEXT);
  Press(VK_NEXT);
  EXPECT_EQ(edit->ItemIndex(), 14);
  Press(VK_PRIOR);
  EXPECT_EQ(edit->ItemIndex(), 7);
  Press(VK_DOWN);
  Press(VK_UP);
  Press(VK_UP);
  EXPECT_EQ(edit->ItemIndex(), 6);
  Press(VK_PRIOR, false, true);
  EXPECT_EQ(edit->ItemIndex(), 0);
  EXPECT_EQ(edit->GetDisplayText(), u"Item 0");
  EXPECT_TRUE(edit->ModifiedAfterEnter());
}

TEST_F(TextEditLookup, TheWheelMovesOneItemUpOrDown) {
  ScrollingTextEdit* edit = NewNumberedEdit(esEdit);
  Press(VK_NEXT);
  Wheel(edit, -120);
  EXPECT_EQ(edit->ItemIndex(), 8);
  Wheel(edit, 120);
  Wheel(edit, 120);
  EXPECT_EQ(edit->ItemIndex(), 6);
  EXPECT_EQ(edit->GetDisplayText(), u"Item 6");
}

TEST_F(TextEditLookup, APlainTextEditorKeepsItsKeysAndWheelForTheText) {
  ScrollingTextEdit* edit = NewEdit(esEdit, {u"One", u"Two"}, false);
  Press(VK_DOWN);
  Wheel(edit, -120);
  EXPECT_EQ(edit->ItemIndex(), -1);
  EXPECT_EQ(edit->GetDisplayText(), u"");
}

struct CompletionCase {
  const char* name;
  TcxEditEditingStyle style;
  const char16_t* typed;
  const char16_t* text;
  int32_t selStart;
  int32_t selLength;
  int32_t index;
};

class TextEditCompletion : public TextEditLookup, public ::testing::WithParamInterface<CompletionCase> {};

TEST_P(TextEditCompletion, TypingCompletesTheFirstMatchingItem) {
  const CompletionCase& c = GetParam();
  ScrollingTextEdit* edit = NewEdit(c.style, {u"Apple", u"Apricot", u"Banana", u"Abc", u"abd"});
  Type(c.typed);
  EXPECT_EQ(edit->GetDisplayText(), c.text);
  IcxInnerTextEdit* inner = edit->InnerTextEdit();
  EXPECT_EQ(inner->GetSelStart(), c.selStart);
  EXPECT_EQ(inner->GetSelLength(), c.selLength);
  EXPECT_EQ(edit->ItemIndex(), c.index);
}

INSTANTIATE_TEST_SUITE_P(
    Typing, TextEditCompletion,
    ::testing::Values(
        // Free text keeps the typed capitalisation; the completion is selected.
        CompletionCase{"edit_one_letter", esEdit, u"a", u"apple", 1, 4, 0},
        CompletionCase{"edit_goes_on_to_the_next_match", esEdit, u"apr", u"apricot", 3, 4, 1},
        CompletionCase{"edit_no_match_is_plain_text", esEdit, u"x", u"x", 1, 0, -1},
        CompletionCase{"edit_leaving_the_items", esEdit, u"apx", u"apx", 3, 0, -1},
        // The list styles show the item's own capitalisation.
        CompletionCase{"edit_list_takes_the_items_case", esEditList, u"b", u"Banana", 1, 5, 2},
        CompletionCase{"edit_list_refuses_other_text", esEditList, u"x", u"", 0, 0, -1},
        CompletionCase{"edit_list_keeps_the_item_on_a_wrong_letter", esEditList, u"bx", u"Banana", 1, 5, 2},
        CompletionCase{"fixed_list_two_letters", esFixedList, u"ab", u"Abc", 2, 1, 3},
        CompletionCase{"fixed_list_restarts_from_a_new_letter", esFixedList, u"ax", u"Apple", 1, 4, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextEditLookup, BackspaceTakesBackTheLastTypedLetter) {
  ScrollingTextEdit* edit = NewEdit(esEdit, {u"Apple", u"Apricot"});
  Type(u"apr");
  ASSERT_EQ(edit->GetDisplayText(), u"apricot");
  Press(VK_BACK);
  EXPECT_EQ(edit->GetDisplayText(), u"apple");
  EXPECT_EQ(edit->InnerTextEdit()->GetSelStart(), 2);
  EXPECT_EQ(edit->InnerTextEdit()->GetSelLength(), 3);
}

TEST_F(TextEditLookup, EnterTakesTheCompletedItemInItsOwnCase) {
  ScrollingTextEdit* edit = NewEdit(esEdit, {u"Apple", u"Apricot"});
  Type(u"ap");
  Press(VK_RETURN);
  EXPECT_EQ(edit->GetDisplayText(), u"Apple");
  EXPECT_EQ(edit->InnerTextEdit()->GetSelLength(), 5) << "the whole text is selected";
}

TEST_F(TextEditLookup, LeavingWithACompletionKeepsTheItemsCase) {
  ScrollingTextEdit* edit = NewEdit(esEdit, {u"Apple", u"Apricot"});
  Type(u"apr");
  FocusOther();
  EXPECT_EQ(VarToStr(edit->EditValue()), u"Apricot");
}

TEST_F(TextEditLookup, TextThatIsNoItemIsAnnouncedAtValidation) {
  ScrollingTextEdit* edit = NewEdit(esEdit, {u"Apple"});
  std::vector<String> announced;
  struct Sink {
    std::vector<String>* list;
    void Announce(TObject*, const String& AText) { list->push_back(AText); }
  } sink{&announced};
  edit->Props()->SetOnNewLookupDisplayText(TcxNewLookupDisplayTextEvent(&sink, &Sink::Announce));
  Type(u"pear");
  FocusOther();
  EXPECT_EQ(announced, std::vector<String>{u"pear"});
  edit->SetFocus();
  Application->ProcessMessages();
  edit->SelectAll();
  Type(u"a");
  FocusOther();
  EXPECT_EQ(announced.size(), 1u) << "a known item is not announced";
}

TEST_F(TextEditLookup, ItemIndexSetByProgramShowsTheItemWithoutModifyingTheEditor) {
  ScrollingTextEdit* edit = NewEdit(esEdit, {u"One", u"Two", u"Three"});
  edit->SetItemIndex(2);
  EXPECT_EQ(edit->GetDisplayText(), u"Three");
  EXPECT_EQ(VarToStr(edit->EditValue()), u"Three");
  EXPECT_FALSE(edit->ModifiedAfterEnter());
  EXPECT_EQ(clicks, 1);
  edit->SetItemIndex(2);
  EXPECT_EQ(clicks, 1) << "the same item again is no click";
}

}  // namespace
}  // namespace qd::testing
