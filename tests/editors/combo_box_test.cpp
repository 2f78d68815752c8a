// The combo box: choosing items with keys while the popup is closed and open, typing that
// completes or is refused by the list style, the popup's width and its rows, and the list's
// mouse.
#include <algorithm>
#include <string>
#include <vector>

#include "editors/text_edit_test_util.h"
#include "platform/classes/filer.h"
#include "platform/os/user_listbox.h"
#include "ui/controls/cxControlScrollBars.h"
#include "ui/editors/cxDropDownEditComboBox.h"
#include "ui/editors/cxFilterEdits.h"
#include "ui/lookandfeel/cxLookAndFeels.h"

namespace qd::testing {
namespace {

class ComboBoxTest : public TextEditTest {
 protected:
  TcxComboBox* NewCombo(TcxEditDropDownListStyle AStyle, std::initializer_list<const char16_t*> AItems) {
    combo_ = NewFocusedEdit<TcxComboBox>();
    props_ = combo_->Properties();
    props_->SetDropDownListStyle(AStyle);
    SetItems(AItems);
    combo_->OnClick = TNotifyEvent(this, &ComboBoxTest::Clicked);
    return combo_;
  }
  TcxComboBox* NewNumberedCombo(TcxEditDropDownListStyle AStyle, int ACount) {
    NewCombo(AStyle, {});
    TStrings* items = props_->Items();
    items->BeginUpdate();
    for (int i = 0; i < ACount; ++i) items->Add(u"Item " + IntToStr(i));
    items->EndUpdate();
    Application->ProcessMessages();
    return combo_;
  }
  void SetItems(std::initializer_list<const char16_t*> AItems) {
    TStrings* items = props_->Items();
    items->BeginUpdate();
    items->Clear();
    for (const char16_t* s : AItems) items->Add(s);
    items->EndUpdate();
    Application->ProcessMessages();
  }
  void Open() {
    combo_->SetDroppedDown(true);
    Application->ProcessMessages();
  }
  TcxCustomEditListBox* List() { return combo_->LookupData()->List(); }
  TcxCustomEditPopupWindow* Popup() { return combo_->PopupWindow(); }
  void Clicked(TObject*) { ++clicks_; }

  TcxComboBox* combo_ = nullptr;
  TcxComboBoxProperties* props_ = nullptr;
  int clicks_ = 0;
};

// --- Keys ------------------------------------------------------------------------------------

struct ClosedKeysCase {
  const char* name;
  TcxEditDropDownListStyle style;
  std::vector<int> keys;
  int32_t index;
};

class ComboBoxClosedKeys : public ComboBoxTest, public ::testing::WithParamInterface<ClosedKeysCase> {};

TEST_P(ComboBoxClosedKeys, KeysChooseTheItemWithThePopupClosed) {
  const ClosedKeysCase& c = GetParam();
  NewNumberedCombo(c.style, 20);
  for (int key : c.keys) Press(key);
  EXPECT_FALSE(combo_->DroppedDown());
  EXPECT_EQ(combo_->ItemIndex(), c.index);
  EXPECT_EQ(combo_->GetDisplayText(), c.index >= 0 ? u"Item " + IntToStr(c.index) : String());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ComboBoxClosedKeys,
    ::testing::Values(
        ClosedKeysCase{"down", lsEditList, {VK_DOWN}, 0},
        ClosedKeysCase{"down_down_up", lsEditList, {VK_DOWN, VK_DOWN, VK_DOWN, VK_UP}, 1},
        ClosedKeysCase{"page_down_by_drop_down_rows", lsEditList, {VK_NEXT, VK_NEXT}, 14},
        ClosedKeysCase{"home_keeps_the_caret_in_an_edit_list", lsEditList, {VK_DOWN, VK_HOME}, 0},
        ClosedKeysCase{"end_goes_to_the_last_item_of_a_fixed_list", lsFixedList, {VK_END}, 19},
        ClosedKeysCase{"home_goes_to_the_first_item_of_a_fixed_list", lsFixedList, {VK_END, VK_HOME}, 0},
        ClosedKeysCase{"down_in_an_edit_fixed_list", lsEditFixedList, {VK_DOWN, VK_DOWN}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ComboBoxTest, PageKeysFollowDropDownRows) {
  NewNumberedCombo(lsEditList, 20);
  props_->SetDropDownRows(4);
  Press(VK_NEXT);
  EXPECT_EQ(combo_->ItemIndex(), 3);
  props_->SetDropDownRows(0);
  EXPECT_EQ(props_->DropDownRows(), 4) << "0 keeps the previous value";
  props_->SetDropDownRows(-2);
  EXPECT_EQ(props_->DropDownRows(), 4);
}

TEST_F(ComboBoxTest, KeysWithThePopupOpenMoveTheListAndEnterTakesIt) {
  NewNumberedCombo(lsEditList, 20);
  Press(VK_DOWN);
  ASSERT_EQ(combo_->ItemIndex(), 0);
  clicks_ = 0;
  Open();
  ASSERT_TRUE(combo_->DroppedDown());
  EXPECT_EQ(List()->ItemIndex(), 0) << "the list opens at the current item";
  Press(VK_DOWN);
  Press(VK_DOWN);
  EXPECT_EQ(List()->ItemIndex(), 2);
  EXPECT_EQ(combo_->ItemIndex(), 0) << "the editor's item waits for the popup to close";
  EXPECT_EQ(combo_->GetDisplayText(), u"Item 0");
  Press(VK_RETURN);
  EXPECT_FALSE(combo_->DroppedDown());
  EXPECT_EQ(combo_->ItemIndex(), 2);
  EXPECT_EQ(combo_->GetDisplayText(), u"Item 2");
  EXPECT_EQ(clicks_, 1);
}

TEST_F(ComboBoxTest, EscWithThePopupOpenKeepsTheItem) {
  NewNumberedCombo(lsFixedList, 20);
  Press(VK_DOWN);
  Open();
  Press(VK_NEXT);
  EXPECT_EQ(List()->ItemIndex(), 7);
  Press(VK_ESCAPE);
  EXPECT_FALSE(combo_->DroppedDown());
  EXPECT_EQ(combo_->ItemIndex(), 0);
  EXPECT_EQ(combo_->GetDisplayText(), u"Item 0");
  Open();
  EXPECT_EQ(List()->ItemIndex(), 0) << "the list forgot the cancelled choice";
}

TEST_F(ComboBoxTest, TheWheelWithThePopupOpenScrollsTheListNotTheItem) {
  NewNumberedCombo(lsEditList, 40);
  Open();
  const int top = List()->TopIndex();
  const TPoint p = combo_->ClientToScreen(TPoint{5, 5});
  os::InjectMouseWheel(POINT{p.X, p.Y}, -120);
  Application->ProcessMessages();
  EXPECT_GT(List()->TopIndex(), top);
  EXPECT_EQ(combo_->ItemIndex(), -1);
  EXPECT_TRUE(combo_->DroppedDown());
}

// --- Typing and list styles ------------------------------------------------------------------

struct TypingCase {
  const char* name;
  TcxEditDropDownListStyle style;
  const char16_t* typed;
  const char16_t* text;
  int32_t index;
};

class ComboBoxTyping : public ComboBoxTest, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(ComboBoxTyping, TypingSelectsByTheListStyle) {
  const TypingCase& c = GetParam();
  NewCombo(c.style, {u"Apple", u"Banana", u"Cherry", u"Blueberry"});
  Type(c.typed);
  EXPECT_EQ(combo_->GetDisplayText(), c.text);
  EXPECT_EQ(combo_->ItemIndex(), c.index);
}

INSTANTIATE_TEST_SUITE_P(
    Typing, ComboBoxTyping,
    ::testing::Values(
        TypingCase{"edit_list_completes", lsEditList, u"b", u"banana", 1},
        TypingCase{"edit_list_second_letter", lsEditList, u"bl", u"blueberry", 3},
        TypingCase{"edit_list_free_text", lsEditList, u"kiwi", u"kiwi", -1},
        TypingCase{"edit_fixed_list_takes_the_items_case", lsEditFixedList, u"ch", u"Cherry", 2},
        TypingCase{"edit_fixed_list_refuses_other_text", lsEditFixedList, u"k", u"", -1},
        TypingCase{"fixed_list_selects", lsFixedList, u"c", u"Cherry", 2},
        TypingCase{"fixed_list_keeps_the_item_on_a_wrong_letter", lsFixedList, u"ca", u"Cherry", 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ComboBoxTest, TypingDropsDownAndEnterTakesTheItemInItsOwnCase) {
  NewCombo(lsEditList, {u"Apple", u"Banana"});
  Type(u"ba");
  EXPECT_TRUE(combo_->DroppedDown()) << "ImmediateDropDownWhenKeyPressed";
  EXPECT_EQ(List()->ItemIndex(), 1);
  Press(VK_RETURN);
  EXPECT_FALSE(combo_->DroppedDown());
  EXPECT_EQ(combo_->GetDisplayText(), u"Banana");
}

TEST_F(ComboBoxTest, AFixedListHidesItsInnerEditAndAFreeListShowsIt) {
  NewCombo(lsFixedList, {u"One"});
  EXPECT_FALSE(combo_->ViewInfo()->IsEditClass);
  props_->SetDropDownListStyle(lsEditList);
  Application->ProcessMessages();
  EXPECT_TRUE(combo_->ViewInfo()->IsEditClass);
  EXPECT_TRUE(combo_->IsTextInputMode());
  props_->SetDropDownListStyle(lsEditFixedList);
  EXPECT_FALSE(combo_->IsTextInputMode()) << "typing is limited to the items";
}

TEST_F(ComboBoxTest, ProgramTextFindsItsItem) {
  NewCombo(lsEditList, {u"One", u"Two", u"Three"});
  combo_->SetEditValue(Variant(String(u"two")));
  EXPECT_EQ(combo_->ItemIndex(), 1);
  combo_->SetItemIndex(2);
  EXPECT_EQ(VarToStr(combo_->EditValue()), u"Three");
}

TEST_F(ComboBoxTest, WithoutItemsNothingDropsDown) {
  NewCombo(lsEditList, {});
  Open();
  EXPECT_FALSE(combo_->DroppedDown());
  Press(VK_F4);
  EXPECT_FALSE(combo_->DroppedDown());
}

// --- Filtering ---------------------------------------------------------------------------------

std::vector<String> VisibleItems(TcxComboBoxLookupData* AData) {
  std::vector<String> result;
  for (int32_t i = 0; i < AData->GetFilteredItemCount(); ++i) result.push_back(AData->GetFilteredItem(i));
  return result;
}

TEST_F(ComboBoxTest, AFreeListFiltersByTheEditorsText) {
  NewCombo(lsEditList, {u"Banana", u"Andes", u"Cherry", u"Anchovy"});
  props_->SetIncrementalFiltering(true);
  props_->SetIncrementalFilteringOptions({ifoHighlightSearchText});
  Type(u"an");
  ASSERT_TRUE(combo_->DroppedDown());
  EXPECT_EQ(VisibleItems(combo_->LookupData()), (std::vector<String>{u"Andes", u"Anchovy"}))
      << "starts-with filtering";
  EXPECT_EQ(List()->Items()->Count(), 2) << "the list shows the filtered items";
  Press(VK_ESCAPE);
  EXPECT_EQ(VisibleItems(combo_->LookupData()).size(), 4u) << "closing resets the filter";
}

TEST_F(ComboBoxTest, AFixedListFiltersThroughItsSearchEdit) {
  NewCombo(lsFixedList, {u"Banana", u"Andes", u"Cherry", u"Mango"});
  props_->SetIncrementalFiltering(true);
  Open();
  ASSERT_TRUE(combo_->DroppedDown());
  TcxCustomTextEdit* search = combo_->LookupData()->IncrementalFilteringHelper()->SearchEdit();
  ASSERT_NE(search, nullptr);
  EXPECT_EQ(combo_->LookupData()->GetActiveControl(), search);
  EXPECT_LT(search->Top(), 0) << "hidden above the list while empty";
  Type(u"an");
  EXPECT_EQ(search->GetDisplayText(), u"an");
  EXPECT_EQ(VisibleItems(combo_->LookupData()), (std::vector<String>{u"Banana", u"Andes", u"Mango"}))
      << "contains filtering";
  EXPECT_GE(search->Top(), 0) << "shown above the list while it holds text";
  EXPECT_EQ(List()->Top(), 0) << "the list's container sits below the search edit";
  Press(VK_DOWN);
  Press(VK_DOWN);
  Press(VK_RETURN);
  EXPECT_FALSE(combo_->DroppedDown());
  EXPECT_EQ(combo_->GetDisplayText(), u"Andes");
}

TEST_F(ComboBoxTest, FilteringThatLeavesNoItemShowsTheNoMatchesPanelBelowTheList) {
  NewCombo(lsFixedList, {u"Banana", u"Andes"});
  props_->SetIncrementalFiltering(true);
  Open();
  ASSERT_TRUE(combo_->DroppedDown());
  TcxCustomEditPopupWindowViewInfo* vi = Popup()->ViewInfo();
  EXPECT_FALSE(Popup()->ShowSearchInfoPanel());
  EXPECT_TRUE(vi->SearchInfoPanelBounds.IsEmpty());

  Type(u"zq");
  ASSERT_TRUE(combo_->DroppedDown());
  ASSERT_TRUE(combo_->LookupData()->IsEmpty());
  EXPECT_TRUE(Popup()->ShowSearchInfoPanel());
  const TRect panel = vi->SearchInfoPanelBounds;
  EXPECT_EQ(panel.Height(), vi->GetSearchInfoPanelHeight());
  EXPECT_EQ(vi->ClientRect.Bottom, panel.Top) << "the list area ends above the panel";
  EXPECT_EQ(vi->GetClientExtent().Bottom, Popup()->Height() - panel.Top) << "the panel counts in the frame";
  EXPECT_GE(Popup()->Width(), vi->GetSearchInfoPanelWidth());

  // The panel reads "No matches found": it holds text-coloured pixels on the window colour.
  const HWND h = Popup()->Handle();
  UpdateWindow(h);
  const os::WindowPixels shown = os::ReadWindowPixels(h, true);
  const uint32_t background = shown.At(panel.Right - 2, panel.Top + 1) & 0xFFFFFF;
  int dark = 0;
  for (int y = panel.Top; y < panel.Bottom; ++y)
    for (int x = panel.Left; x < panel.Right; ++x)
      if ((shown.At(x, y) & 0xFFFFFF) != background && (shown.At(x, y) & 0xFF) < 0x80) ++dark;
  if (!dark) SaveWindowPng(h, "combo_no_matches_failed");
  EXPECT_GT(dark, 20);

  Press(VK_BACK);
  Press(VK_BACK);
  EXPECT_FALSE(Popup()->ShowSearchInfoPanel()) << "items again, no panel";
  EXPECT_TRUE(Popup()->ViewInfo()->SearchInfoPanelBounds.IsEmpty());
}

TEST_F(ComboBoxTest, EscInTheSearchEditClearsNothingButClosesOnlyWhenEmpty) {
  NewCombo(lsFixedList, {u"Banana", u"Andes"});
  props_->SetIncrementalFiltering(true);
  Open();
  Type(u"a");
  Press(VK_ESCAPE);
  EXPECT_TRUE(combo_->DroppedDown()) << "the search text is not empty";
  Press(VK_BACK);
  Press(VK_ESCAPE);
  EXPECT_FALSE(combo_->DroppedDown());
}

TEST_F(ComboBoxTest, ItemObjectReadsAndChoosesTheItemCarryingAnObject) {
  NewCombo(lsEditList, {});
  TObject first, second;
  TStrings* items = props_->Items();
  items->AddObject(u"One", nullptr);
  items->AddObject(u"Two", &first);
  items->AddObject(u"Three", &second);
  items->AddObject(u"Again", &first);
  Application->ProcessMessages();
  EXPECT_EQ(combo_->ItemObject(), nullptr) << "no item";
  combo_->SetItemIndex(2);
  EXPECT_EQ(combo_->ItemObject(), &second);
  combo_->SetItemObject(&first);
  EXPECT_EQ(combo_->ItemIndex(), 1) << "the first item with the object";
  EXPECT_EQ(combo_->GetDisplayText(), u"Two");
  combo_->SetItemObject(nullptr);
  EXPECT_EQ(combo_->ItemIndex(), 0) << "an item without an object carries nil";
  TObject unknown;
  combo_->SetItemObject(&unknown);
  EXPECT_EQ(combo_->ItemIndex(), -1);
  EXPECT_EQ(combo_->ItemObject(), nullptr);
}

// --- Popup size --------------------------------------------------------------------------------

TEST_F(ComboBoxTest, TheListWantsItsRowsAndTheBarOnlyWhenRowsAreHidden) {
  struct Case {
    int items;
    int32_t height;
    bool bar;
  };
  for (const Case& c : {Case{20, 128, true}, Case{5, 80, false}}) {
    SCOPED_TRACE(c.items);
    NewNumberedCombo(lsEditList, c.items);
    props_->SetItemHeight(16);
    RootLookAndFeel()->SetScrollbarMode(sbmClassic);
    Open();
    ASSERT_TRUE(combo_->DroppedDown());
    const TSize size = combo_->LookupData()->GetVisualAreaPreferredSize(2000, 0);
    EXPECT_EQ(size.cy, c.height);
    const int32_t text = List()->ScrollWidth();
    EXPECT_EQ(size.cx > text, c.bar);
    EXPECT_EQ(Popup()->ViewInfo()->ClientRect.Height(), c.height);
    combo_->SetDroppedDown(false);
    form_->Release();
    Application->ProcessMessages();
    RootLookAndFeel()->SetScrollbarMode(sbmDefault);
  }
}

TEST_F(ComboBoxTest, TheListShowsDropDownRowsWholeRowsWithEitherBarMode) {
  struct Case {
    const char* name;
    TdxScrollbarMode mode;
    bool listBehindTheBar;  // the library's bar floats over the list
  };
  for (const Case& c : {Case{"touch bars", sbmDefault, true}, Case{"classic bars", sbmClassic, false}}) {
    SCOPED_TRACE(c.name);
    RootLookAndFeel()->SetScrollbarMode(c.mode);
    NewNumberedCombo(lsEditList, 20);
    props_->SetItemHeight(16);
    Open();
    ASSERT_TRUE(combo_->DroppedDown());
    TcxEditListBoxContainer* container = combo_->LookupData()->ListContainer();
    // The part of the list's client area that the container shows.
    TRect client{};
    GetClientRect(List()->Handle(), &client);
    TPoint origin{0, 0};
    MapWindowPoints(List()->Handle(), container->Handle(), &origin, 1);
    const TRect shown = cxRectIntersectRect(Bounds(origin.X, origin.Y, client.Width(), client.Height()),
                                            container->ClientRect());
    EXPECT_EQ(shown.Height(), 8 * 16) << "no system bar takes rows";
    EXPECT_EQ(shown.Width() == container->ClientWidth(), c.listBehindTheBar);
    // The last row can be scrolled fully into the part shown.
    SendMessageW(List()->Handle(), WM_KEYDOWN, VK_END, 0);
    Application->ProcessMessages();
    TRect last{};
    SendMessageW(List()->Handle(), LB_GETITEMRECT, 19, reinterpret_cast<LPARAM>(&last));
    EXPECT_LE(origin.Y + last.Bottom, shown.Bottom);
    combo_->SetDroppedDown(false);
    form_->Release();
    Application->ProcessMessages();
    RootLookAndFeel()->SetScrollbarMode(sbmDefault);
  }
}

TEST_F(ComboBoxTest, TouchBarsFloatOverTheListAndFollowItsRange) {
  RootLookAndFeel()->SetScrollbarMode(sbmDefault);
  NewNumberedCombo(lsEditList, 20);
  props_->SetItemHeight(16);
  Open();
  ASSERT_TRUE(combo_->DroppedDown());
  TcxEditListBoxContainer* container = combo_->LookupData()->ListContainer();
  TcxControlScrollBar* v = container->VScrollBar();
  TcxControlScrollBar* h = container->HScrollBar();
  ASSERT_NE(v, nullptr);
  ASSERT_NE(h, nullptr);
  EXPECT_TRUE(v->Data()->FVisible) << "rows are hidden: the vertical bar is wanted";
  EXPECT_FALSE(h->Data()->FVisible) << "nothing to scroll sideways";
  EXPECT_EQ(v->Data()->FMin, 0);
  EXPECT_EQ(v->Data()->FMax, 19);
  EXPECT_EQ(v->Data()->FPageSize, 8);
  EXPECT_EQ(v->Data()->FPosition, 0);
  SendMessageW(List()->Handle(), WM_KEYDOWN, VK_END, 0);
  Application->ProcessMessages();
  EXPECT_EQ(v->Data()->FPosition, 12) << "the bar follows the list";
  // The bar lies in the right strip of the container's client area.
  const TRect c = container->ViewInfo()->ClientRect;
  const int32_t width = container->GetScrollBarSize().cx;
  const TPoint topLeft = container->ClientToScreen(TPoint{c.Right - width, c.Top});
  const TRect bar = v->BoundsRect();
  const TPoint barTopLeft = v->Parent() ? v->Parent()->ClientToScreen(bar.TopLeft()) : bar.TopLeft();
  EXPECT_EQ(barTopLeft, topLeft);
  EXPECT_EQ(bar.Width(), width);
  EXPECT_EQ(bar.Height(), c.Height());
}

TEST_F(ComboBoxTest, ResizingSnapsTheListToWholeRows) {
  NewNumberedCombo(lsEditList, 20);
  props_->SetItemHeight(16);
  Open();
  TcxEditListBoxContainer* container = combo_->LookupData()->ListContainer();
  ASSERT_EQ(container->ClientHeight(), 128);
  struct Case {
    int32_t request;
    int32_t result;
  };
  // Shrinking keeps a partly covered row; enlarging keeps only whole rows.
  for (const Case& c : {Case{111, 112}, Case{120, 128}, Case{140, 128}, Case{150, 144}, Case{96, 96}}) {
    SCOPED_TRACE(c.request);
    TSize size{container->ClientWidth() + 1, c.request};
    EXPECT_TRUE(combo_->LookupData()->CanResizeVisualArea(size));
    EXPECT_EQ(size.cy, c.result);
  }
}

TEST_F(ComboBoxTest, ThePopupIsAsWideAsTheEditorAtLeast) {
  struct Case {
    const char* name;
    bool autoWidth;
    int32_t width;
    const char16_t* item;
    int32_t expected;  // -1: the editor's width, -2: wider than the editor
  };
  const Case cases[] = {
      {"short items", true, 0, u"A", -1},
      {"a long item", true, 0, u"A very very long item that is wider than the editor", -2},
      {"a set width without auto width", false, 220, u"A", 220},
      {"no width without auto width", false, 0, u"A very very long item that is wider than the editor", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NewCombo(lsEditList, {c.item, u"B"});
    props_->SetDropDownAutoWidth(c.autoWidth);
    props_->SetDropDownWidth(c.width);
    Open();
    ASSERT_TRUE(combo_->DroppedDown());
    const int32_t owner = combo_->GetPopupWindowOwnerControlBounds().Width();
    if (c.expected == -1)
      EXPECT_EQ(Popup()->Width(), owner);
    else if (c.expected == -2)
      EXPECT_GT(Popup()->Width(), owner);
    else
      EXPECT_EQ(Popup()->Width(), c.expected);
    combo_->SetDroppedDown(false);
    form_->Release();
    Application->ProcessMessages();
  }
}

// --- Mouse ---------------------------------------------------------------------------------------

TEST_F(ComboBoxTest, ReleasingOverAnItemTakesItAndOverTheEmptyPartDoesNot) {
  NewCombo(lsEditList, {u"One", u"Two"});
  props_->SetItemHeight(16);
  props_->SetDropDownRows(4);
  props_->SetDropDownSizeable(true);
  props_->SetPopupHeight(150);
  Open();
  ASSERT_TRUE(combo_->DroppedDown());
  TcxCustomEditListBox* list = List();
  ASSERT_GT(list->ClientHeight(), 2 * 16 + 4) << "room below the rows";
  // Clicks as the user does, through the input queue: the press must reach the list inside
  // the popup and leave the focus in the editor.
  auto click = [&](int y) {
    const TPoint p = list->ClientToScreen(TPoint{5, y});
    os::InjectMouseMove(POINT{p.X, p.Y});
    os::InjectMouseButton(WM_LBUTTONDOWN, POINT{p.X, p.Y});
    os::InjectMouseButton(WM_LBUTTONUP, POINT{p.X, p.Y});
    Application->ProcessMessages();
  };
  click(2 * 16 + 2);
  EXPECT_TRUE(combo_->DroppedDown()) << "below the rows";
  EXPECT_EQ(GetFocus(), combo_->InnerEdit()->GetControl()->Handle()) << "the focus stays in the editor";
  click(16 + 8);
  EXPECT_FALSE(combo_->DroppedDown());
  EXPECT_EQ(combo_->GetDisplayText(), u"Two");
  EXPECT_EQ(combo_->CloseUpReason(), crEnter);
  EXPECT_EQ(clicks_, 1) << "picking a different item is a click";
}

TEST_F(ComboBoxTest, AClickInTheEditPartIsNoClick) {
  NewCombo(lsEditList, {u"One", u"Two"});
  const TPoint p = combo_->ClientToScreen(TPoint{10, 8});
  os::InjectMouseMove(POINT{p.X, p.Y});
  os::InjectMouseButton(WM_LBUTTONDOWN, POINT{p.X, p.Y});
  os::InjectMouseButton(WM_LBUTTONUP, POINT{p.X, p.Y});
  Application->ProcessMessages();
  EXPECT_EQ(clicks_, 0);
}

TEST_F(ComboBoxTest, ADoubleClickOnARevertableComboBoxStepsToTheNextItemWrapping) {
  NewCombo(lsEditList, {u"One", u"Two", u"Three"});
  props_->SetRevertable(true);
  combo_->SetItemIndex(2);
  const HWND inner = combo_->InnerEdit()->GetControl()->Handle();
  SendMessageW(inner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 8));
  SendMessageW(inner, WM_LBUTTONUP, 0, MAKELPARAM(10, 8));
  SendMessageW(inner, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 8));
  SendMessageW(inner, WM_LBUTTONUP, 0, MAKELPARAM(10, 8));
  Application->ProcessMessages();
  EXPECT_EQ(combo_->ItemIndex(), 0);
  EXPECT_EQ(combo_->GetDisplayText(), u"One");
}

// --- Owner drawing and stored forms ------------------------------------------------------------

TEST_F(ComboBoxTest, MeasuredRowsSizeTheListAndDrawnItemsGetTheirItemIndex) {
  NewCombo(lsFixedList, {u"One", u"Two", u"Three"});
  struct Handlers {
    std::vector<int32_t> drawn;
    void Measure(TcxCustomComboBox*, int32_t AIndex, TcxCanvas*, int32_t& AHeight) {
      AHeight = 10 + AIndex * 5;
    }
    void Draw(TcxCustomComboBox*, TcxCanvas*, int32_t AIndex, const TRect&, TOwnerDrawState AState) {
      if (!AState.Contains(odComboBoxEdit)) drawn.push_back(AIndex);
    }
  } handlers;
  props_->OnMeasureItem = TcxEditMeasureItemEvent(&handlers, &Handlers::Measure);
  props_->OnDrawItem = TcxEditDrawItemEvent(&handlers, &Handlers::Draw);
  Open();
  ASSERT_TRUE(combo_->DroppedDown());
  EXPECT_EQ(List()->GetHeight(3, 0), 10 + 15 + 20);
  EXPECT_EQ(List()->ItemRect(2).Height(), 20);
  RedrawWindow(List()->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  std::sort(handlers.drawn.begin(), handlers.drawn.end());
  handlers.drawn.erase(std::unique(handlers.drawn.begin(), handlers.drawn.end()), handlers.drawn.end());
  EXPECT_EQ(handlers.drawn, (std::vector<int32_t>{0, 1, 2})) << "the handler draws every row";
  combo_->SetDroppedDown(false);
  combo_->SetItemIndex(1);
  Application->ProcessMessages();
  combo_->CalculateViewInfo(false);
  auto* viewInfo = static_cast<TcxCustomComboBoxViewInfo*>(combo_->ViewInfo());
  EXPECT_EQ(viewInfo->ItemIndex, 1) << "the edit area of a fixed list is owner-drawn";
  EXPECT_TRUE(viewInfo->IsOwnerDrawing);
}

TEST_F(ComboBoxTest, AStoredFormSetsTheListStyleItemsAndItem) {
  cxDropDownEdit::Initialize();
  form_ = NewPlainForm();
  ReadComponentFromText(
      u"object Form: TForm\n"
      u"  object Fruit: TcxComboBox\n"
      u"    Left = 8\n"
      u"    Top = 8\n"
      u"    Properties.DropDownListStyle = lsFixedList\n"
      u"    Properties.DropDownRows = 5\n"
      u"    Properties.Items.Strings = (\n"
      u"      'Apple'\n"
      u"      'Pear')\n"
      u"    Properties.Revertable = True\n"
      u"    ItemIndex = 1\n"
      u"  end\n"
      u"end\n",
      form_);
  auto* combo = dynamic_cast<TcxComboBox*>(form_->FindComponent(u"Fruit"));
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->Properties()->DropDownListStyle(), lsFixedList);
  EXPECT_EQ(combo->Properties()->DropDownRows(), 5);
  EXPECT_TRUE(combo->Properties()->Revertable());
  ASSERT_EQ(combo->Properties()->Items()->Count(), 2);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->GetDisplayText(), u"Pear");
  cxDropDownEdit::Finalize();
}

// --- Start-up ---------------------------------------------------------------------------------

TEST_F(ComboBoxTest, TheComboBoxIsARegisteredEditorKindWithAFilterEditor) {
  cxDropDownEdit::Initialize();
  const TClass cls = TcxComboBoxProperties::StaticClass();
  EXPECT_EQ(GetRegisteredEditProperties()->GetDescriptionByClass(cls), u"ComboBox");
  EXPECT_EQ(GetRegisteredEditProperties()->GetHintByClass(cls), u"Represents the combo box editor");
  const TcxCustomFilterEditHelper* helper =
      FilterEditsController()->FindHelper(TcxComboBoxProperties::StaticClass());
  ASSERT_NE(helper, nullptr);
  EXPECT_EQ(helper->GetFilterEditClass(), TcxComboBox::StaticClass());
  cxDropDownEdit::Finalize();
  EXPECT_LT(GetRegisteredEditProperties()->GetIndexByClass(cls), 0);
}

}  // namespace
}  // namespace qd::testing
