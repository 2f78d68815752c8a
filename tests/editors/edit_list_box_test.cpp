// The edit list box of the lookup data: made on the first initialisation, moved by Go while
// it shows, the wheel, hot tracking, row heights and the item pixels.
#include <gtest/gtest.h>

#include <vector>

#include "editors/lookup_test_util.h"
#include "platform/os/user_display.h"
#include "ui/controls/cxControlScrollBars.h"
#include "ui/graphics/cxGraphicsText.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersBitmaps.h"

namespace qd::testing {
namespace {

class EditListBoxTest : public LookupTest {
 protected:
  void SetUp() override {
    LookupTest::SetUp();
    data->WithList = true;
  }
  // Initialises the lookup data in the form and places the list at (10, 40) in the
  // given size, as a drop-down does with its popup window.
  void ShowList(int AWidth = 120, int AHeight = 97) {
    edit->PopupShown = true;
    data->Initialize(form);
    ASSERT_NE(data->List(), nullptr);
    data->PositionVisualArea(Bounds(10, 40, AWidth, AHeight));
    data->ListContainer()->Style()->LookAndFeel()->SetKind(lfUltraFlat);
    data->ListContainer()->Style()->LookAndFeel()->SetNativeStyle(false);
    ShowAndUpdate(form);
    list = data->List();
  }
  void Wheel(int ADelta) {
    const TPoint p = list->ClientToScreen(TPoint{5, 5});
    SendMessageW(list->Handle(), WM_MOUSEWHEEL,
                 MAKEWPARAM(0, static_cast<WORD>(static_cast<int16_t>(ADelta))), MAKELPARAM(p.X, p.Y));
  }
  void MoveMouse(int X, int Y) { SendMessageW(list->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(X, Y)); }
  // The row's pixel in the form's client coordinates, by default halfway down the row (the
  // top line of a row holds no glyph).
  uint32_t RowPixel(int ARow, int X, int Y = -1) {
    UpdateWindow(form->Handle());
    const TRect r = list->ItemRect(ARow);
    const TPoint p =
        form->ScreenToClient(list->ClientToScreen(TPoint{r.Left + X, r.Top + (Y < 0 ? r.Height() / 2 : Y)}));
    return os::ReadWindowPixels(form->Handle(), true).At(p.X, p.Y) & 0xFFFFFF;
  }
  static uint32_t Rgb(TColor AColor) {
    const COLORREF c = ColorToRGB(AColor);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  }

  TcxCustomEditListBox* list = nullptr;
};

TEST_F(EditListBoxTest, InitialisationMakesTheListOfTheVisibleItems) {
  SetNumberedItems(12);
  data->SetCurrentKey(Variant(4));
  ShowList();
  EXPECT_EQ(data->ListContainer()->Parent(), form);
  EXPECT_EQ(data->ListContainer()->InnerControl(), list);
  EXPECT_EQ(data->GetActiveControl(), list);
  EXPECT_EQ(list->Items()->Count(), 12);
  EXPECT_EQ(list->ItemIndex(), 4);
  EXPECT_EQ(data->GetSelectedItem(), 4);
  EXPECT_TRUE(list->IsVisible());
  EXPECT_EQ(data->ListContainer()->BoundsRect(), Bounds(10, 40, 120, 97));
  // The list keeps the editor's font.
  EXPECT_TRUE(data->ListContainer()->Style()->AssignedValues().Contains(svFont));
  // A second drop-down reuses the list, now with the filtered items.
  props->SetIncrementalFiltering(true);
  props->SetIncrementalFilteringOptions({ifoUseContainsOperator});
  data->UpdateFilteredLookupItems(u"1");  // Item 1, Item 10, Item 11
  data->Initialize(form);
  EXPECT_EQ(data->List(), list);
  EXPECT_EQ(list->Items()->Count(), 3);
  EXPECT_EQ(list->ItemIndex(), -1);  // item 4 is filtered away
  // The screen point over the list.
  EXPECT_TRUE(data->IsMouseOverList(list->ClientToScreen(TPoint{3, 3})));
  EXPECT_FALSE(data->IsMouseOverList(list->ClientToScreen(TPoint{-3, 3})));
}

TEST_F(EditListBoxTest, GoInAShownListMovesOnlyTheSelection) {
  SetNumberedItems(20);
  data->SetCurrentKey(Variant(2));
  ShowList();
  const int selections = static_cast<int>(edit->SelectedWhileLocked.size());
  data->Go(egdPageDown, false);
  EXPECT_EQ(data->ItemIndex(), 9);
  EXPECT_EQ(list->ItemIndex(), 9);
  EXPECT_EQ(Key(), 2);
  EXPECT_EQ(static_cast<int>(edit->SelectedWhileLocked.size()), selections);
  // Closing returns the selection to the current key.
  data->CloseUp();
  EXPECT_EQ(data->ItemIndex(), 2);
  EXPECT_EQ(list->ItemIndex(), 2);
  // With ImmediateUpdateText the key follows at once.
  props->SetImmediateUpdateText(true);
  data->Go(egdNext, false);
  EXPECT_EQ(Key(), 3);
  EXPECT_EQ(edit->Text, u"Item 3");
}

TEST_F(EditListBoxTest, SelectItemTakesTheListsItemWhenEditingIsAllowed) {
  SetNumberedItems(5);
  data->SetCurrentKey(Variant(0));
  ShowList();
  data->Go(egdNext, false);
  ASSERT_EQ(data->ItemIndex(), 1);
  bool allow = false;
  int asked = 0;
  struct Handler {
    bool* allow;
    int* asked;
    void Editing(TObject*, bool& CanEdit) {
      ++*asked;
      CanEdit = *allow;
    }
  } handler{&allow, &asked};
  edit->OnEditing = MakeMethod(&handler, &Handler::Editing);
  data->SelectItem();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(Key(), 0);
  allow = true;
  data->SelectItem();
  EXPECT_EQ(Key(), 1);
  EXPECT_EQ(edit->Text, u"Item 1");
}

TEST_F(EditListBoxTest, WheelNotchesAccumulate) {
  const struct {
    const char* name;
    int startTop;
    std::vector<int> deltas;
    int top;
  } cases[] = {
      {"half and half a notch down", 0, {-60, -60}, 3},
      {"half down, half up", 0, {-60, 60}, 0},
      {"half up, half down", 6, {60, -60}, 6},
      {"a turn restarts the sum", 6, {-60, 60, 60}, 3},
      {"a notch down", 0, {-120}, 3},
      {"a large delta counts as one notch", 0, {-360}, 3},
      {"one and a half notches", 0, {-60, -60, -60}, 3},
      {"two notches", 0, {-120, -120}, 6},
      {"a notch up", 10, {120}, 7},
  };
  SetNumberedItems(40);
  ShowList();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    list->SetTopIndex(c.startTop);
    // A full notch the other way clears what an earlier case left.
    for (int d : c.deltas) Wheel(d);
    EXPECT_EQ(list->TopIndex(), c.top);
    Wheel(c.deltas.back() > 0 ? -120 : 120);
  }
}

TEST_F(EditListBoxTest, HotTrackingSelectsTheItemUnderTheMouse) {
  SetNumberedItems(10);
  ShowList();
  const int h = list->GetItemHeight();
  MoveMouse(5, 2 * h + 2);
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(data->ItemIndex(), 2);  // through the list's selection notice
  EXPECT_EQ(Key(), -1);
  // The keyboard moves the selection; a move to the same point does not take it back.
  data->Go(egdNext, false);
  EXPECT_EQ(list->ItemIndex(), 3);
  MoveMouse(5, 2 * h + 2);
  EXPECT_EQ(list->ItemIndex(), 3);
  // Below the last item nothing changes.
  SetNumberedItems(2);
  data->Initialize(form);
  MoveMouse(5, 5 * h);
  EXPECT_EQ(list->ItemIndex(), -1);
  // After the mouse left, the same point counts as a move again.
  MoveMouse(5, 1);
  EXPECT_EQ(list->ItemIndex(), 0);
  list->SetItemIndex(1);
  SendMessageW(list->Handle(), CM_MOUSELEAVE, 0, 0);
  MoveMouse(5, 1);
  EXPECT_EQ(list->ItemIndex(), 0);
  // Without hot tracking the mouse selects nothing.
  list->SetHotTrack(false);
  MoveMouse(5, h + 2);
  EXPECT_EQ(list->ItemIndex(), 0);
}

TEST_F(EditListBoxTest, RowsAreAsHighAsTheText) {
  SetNumberedItems(30);
  ShowList();
  const int textHeight = cxTextHeight(list->Font());
  EXPECT_EQ(list->GetItemHeight(), textHeight);
  EXPECT_EQ(list->ItemRect(1).Top - list->ItemRect(0).Top, textHeight);
  EXPECT_EQ(list->GetHeight(8, 0), 8 * textHeight);
  EXPECT_EQ(list->GetItemWidth(0), cxTextWidth(list->Font(), u"Item 0"));
  // Touch mode: at least the touch-friendly height.
  cxIsTouchModeEnabled = true;
  EXPECT_EQ(list->GetItemHeight(), std::max(textHeight, 27));
  cxIsTouchModeEnabled = false;
}

TEST_F(EditListBoxTest, SetItemCountAppendsAndRemovesAtTheEnd) {
  SetItems({u"a", u"b", u"c", u"d"});
  ShowList();
  list->SetItemCount(2);
  EXPECT_EQ(list->Items()->Count(), 2);
  EXPECT_EQ(list->Items()->Get(1), u"b");
  list->SetItemCount(4);
  EXPECT_EQ(list->Items()->Get(3), u"d");
  EXPECT_EQ(list->GetItemData(2), 0);
}

TEST_F(EditListBoxTest, SelectedAndHotItemsAreDrawnHighlighted) {
  SetItems({u"Apple", u"Banana", u"Cherry", u"Mango"});
  data->SetCurrentKey(Variant(1));
  ShowList();
  const uint32_t highlight = Rgb(clHighlight);
  const uint32_t window = Rgb(clWindow);
  EXPECT_EQ(RowPixel(1, 1), highlight);
  EXPECT_EQ(RowPixel(0, 1), window);
  // The hot item takes the highlight.
  MoveMouse(5, list->ItemRect(3).Top + 2);
  EXPECT_EQ(RowPixel(3, 1), highlight);
  EXPECT_EQ(RowPixel(1, 1), window);
  SaveWindowPng(form->Handle(), "edit_list_box");
  // Classic bars: the list's window is made again for them, and all four items fit.
  RootLookAndFeel()->SetScrollbarMode(sbmClassic);
  Application->ProcessMessages();
  EXPECT_EQ(list->Items()->Count(), 4);
  EXPECT_EQ(RowPixel(3, 1), highlight);
  EXPECT_FALSE(data->ListContainer()->VScrollBar()->Visible());
  SaveWindowPng(form->Handle(), "edit_list_box_classic");
  RootLookAndFeel()->SetScrollbarMode(sbmDefault);
}

TEST_F(EditListBoxTest, OnlyFixedListsWithoutFilteringDrawTheFocusRectangle) {
  SetItems({u"Apple", u"Banana", u"Cherry"});
  data->SetCurrentKey(Variant(1));
  const struct {
    const char* name;
    TcxEditEditingStyle style;
    bool filtering;
    bool focusRect;
  } cases[] = {
      {"fixed list", esFixedList, false, true},
      {"no edit", esNoEdit, false, true},
      {"edit", esEdit, false, false},
      {"edit list", esEditList, false, false},
      {"fixed list with filtering", esFixedList, true, false},
  };
  ShowList();
  // The list draws as focused although the focus stays elsewhere.
  EXPECT_NE(GetFocus(), list->Handle());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    props->EditingStyle = c.style;
    props->SetIncrementalFiltering(c.filtering);
    data->ResetIncrementalFilter();
    list->Invalidate();
    // The dotted frame leaves the row's corner out of the highlight.
    EXPECT_EQ(RowPixel(1, 0, 0) != Rgb(clHighlight), c.focusRect);
    EXPECT_EQ(RowPixel(1, 1, 1), Rgb(clHighlight));
    // With the search control (filtering in a list style) the focus stays in the search edit.
    EXPECT_EQ(list->CanFocus(), !c.filtering);
  }
}

TEST_F(EditListBoxTest, TheSearchTextIsHighlightedInsideEachItem) {
  props->SetIncrementalFiltering(true);
  props->SetIncrementalFilteringOptions({ifoHighlightSearchText, ifoUseContainsOperator});
  SetItems({u"Banana", u"Cherry", u"Andes"});
  edit->PopupShown = true;
  data->UpdateFilteredLookupItems(u"an");
  ShowList(160, 60);
  ASSERT_EQ(list->Items()->Count(), 2);
  EXPECT_EQ(list->ItemIndex(), -1);
  const uint32_t highlight = Rgb(clHighlight);
  // "an" at the second letter of Banana, at the first of Andes; the rest is plain.
  const int b = cxTextWidth(list->Font(), u"B");
  const int ban = cxTextWidth(list->Font(), u"Ban");
  EXPECT_EQ(RowPixel(0, 2 + b + 1, 0), highlight);
  EXPECT_EQ(RowPixel(0, 2 + ban - 1, 0), highlight);
  EXPECT_NE(RowPixel(0, 2 + b - 1, 0), highlight);
  EXPECT_NE(RowPixel(0, 2 + ban + 1, 0), highlight);
  EXPECT_EQ(RowPixel(1, 3, 0), highlight);
  EXPECT_NE(RowPixel(1, 2 + cxTextWidth(list->Font(), u"An") + 1, 0), highlight);
  SaveWindowPng(form->Handle(), "edit_list_box_filtered");
}

TEST_F(EditListBoxTest, TheListMayGoBeforeTheLookupData) {
  SetNumberedItems(3);
  ShowList();
  delete data->ListContainer();
  EXPECT_EQ(data->List(), nullptr);
  data->Go(egdNext, false);  // no list now: the key moves
  EXPECT_EQ(Key(), 0);
  data->CloseUp();
  // The next drop-down makes a new list.
  data->Initialize(form);
  EXPECT_NE(data->List(), nullptr);
}

TEST_F(EditListBoxTest, PanningScrollsByWholeItems) {
  // Classic bars: the container's bars then tell whether they scroll.
  RootLookAndFeel()->SetScrollbarMode(sbmClassic);
  SetNumberedItems(40);
  ShowList();
  const int h = list->GetItemHeight();
  EXPECT_TRUE(list->AllowPan(sbVertical));
  EXPECT_FALSE(list->AllowPan(sbHorizontal));
  list->BeginGestureScroll(TPoint{5, 5});
  // The finger moves up: the list moves on by whole items, the rest waits.
  list->GestureScroll(0, -(2 * h + 3));
  EXPECT_EQ(list->TopIndex(), 2);
  list->GestureScroll(0, -(h - 1));
  EXPECT_EQ(list->TopIndex(), 2);
  list->GestureScroll(0, -1);
  EXPECT_EQ(list->TopIndex(), 3);
  // And back down.
  list->GestureScroll(0, h);
  EXPECT_EQ(list->TopIndex(), 2);
  list->EndGestureScroll();
  EXPECT_TRUE(list->IsPanArea(TPoint{3, 3}));
  EXPECT_FALSE(list->IsPanArea(TPoint{-3, 3}));
  RootLookAndFeel()->SetScrollbarMode(sbmDefault);
}

}  // namespace
}  // namespace qd::testing
