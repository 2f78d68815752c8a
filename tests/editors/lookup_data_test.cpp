// Lookup data without a visible list: moving through the items, locating typed text, the
// incremental filter, the current key and the selection notice.
#include <gtest/gtest.h>

#include <string>

#include "editors/lookup_test_util.h"

namespace qd::testing {
namespace {

struct GoCase {
  const char* name;
  int items;
  int fromKey;
  TcxEditLookupDataGoDirection direction;
  bool circular;
  int expectedKey;
};

TEST_F(LookupTest, GoMovesTheCurrentKeyWithoutAList) {
  const GoCase cases[] = {
      {"page down from item 3", 20, 3, egdPageDown, false, 10},
      {"page down from no item", 20, -1, egdPageDown, false, 7},
      {"page down stops at the last", 20, 15, egdPageDown, false, 19},
      {"page down from the last, circular", 20, 19, egdPageDown, true, 0},
      {"page down near the end, circular", 20, 17, egdPageDown, true, 19},
      {"page up from item 10", 20, 10, egdPageUp, false, 3},
      {"page up stops at the first", 20, 2, egdPageUp, false, 0},
      {"page up from the first, circular", 20, 0, egdPageUp, true, 19},
      {"page up from no item", 20, -1, egdPageUp, false, -1},
      {"page up from no item, circular", 20, -1, egdPageUp, true, 19},
      {"next from the last stays", 20, 19, egdNext, false, 19},
      {"next from the last, circular", 20, 19, egdNext, true, 0},
      {"next from no item", 20, -1, egdNext, false, 0},
      {"previous from the first stays", 20, 0, egdPrev, false, 0},
      {"previous from the first, circular", 20, 0, egdPrev, true, 19},
      {"previous", 20, 5, egdPrev, false, 4},
      {"begin", 20, 12, egdBegin, false, 0},
      {"end", 20, 2, egdEnd, false, 19},
      {"end of three", 3, -1, egdEnd, false, 2},
  };
  for (const GoCase& c : cases) {
    SCOPED_TRACE(c.name);
    SetNumberedItems(c.items);
    data->SetCurrentKey(Variant(c.fromKey));
    data->Go(c.direction, c.circular);
    EXPECT_EQ(Key(), c.expectedKey);
    // The editor took the item's text through the selection notice.
    EXPECT_EQ(edit->Text, c.expectedKey < 0 ? String() : u"Item " + IntToStr(c.expectedKey));
  }
}

TEST_F(LookupTest, GoWithTheSearchControlInAnOpenListReachesNoItem) {
  // The search control: incremental filtering under a list style.
  props->SetIncrementalFiltering(true);
  props->EditingStyle = esFixedList;
  SetNumberedItems(5);
  edit->PopupShown = true;
  const struct {
    const char* name;
    int fromKey;
    TcxEditLookupDataGoDirection direction;
    int expectedKey;
  } cases[] = {
      {"next from the last", 4, egdNext, -1},
      {"previous from the first", 0, egdPrev, -1},
      {"previous from no item", -1, egdPrev, 4},
      {"next from no item", -1, egdNext, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    data->SetCurrentKey(Variant(c.fromKey));
    data->Go(c.direction, false);
    EXPECT_EQ(Key(), c.expectedKey);
  }
}

TEST_F(LookupTest, GoMovesThroughTheVisibleItemsOnly) {
  props->SetIncrementalFiltering(true);
  props->SetIncrementalFilteringOptions({ifoUseContainsOperator});
  SetItems({u"Apple", u"Banana", u"Cherry", u"Andes", u"Mango"});
  edit->PopupShown = true;
  data->UpdateFilteredLookupItems(u"an");  // Banana, Andes, Mango
  data->SetCurrentKey(Variant(1));
  data->Go(egdNext, false);
  EXPECT_EQ(Key(), 3);
  data->Go(egdNext, false);
  EXPECT_EQ(Key(), 4);
  data->Go(egdBegin, false);
  EXPECT_EQ(Key(), 1);
  // Without a popup the filter no longer applies: every item is visible again.
  edit->PopupShown = false;
  data->Go(egdNext, false);
  EXPECT_EQ(Key(), 2);
  EXPECT_EQ(data->GetFilteredItemCount(), 5);
}

TEST_F(LookupTest, GoWithoutItemsDoesNothing) {
  SetItems({});
  data->Go(egdNext, true);
  EXPECT_EQ(Key(), -1);
  EXPECT_TRUE(edit->SelectedWhileLocked.empty());
}

struct LocateCase {
  const char* name;
  TcxEditEditingStyle style;
  int keyBefore;
  const char16_t* typed;
  bool next;
  bool found;
  const char16_t* text;
  const char16_t* tail;
  int key;
};

TEST_F(LookupTest, LocateCompletesFromTheItems) {
  const LocateCase cases[] = {
      {"fixed list shows the item's capitals", esFixedList, -1, u"ab", false, true, u"Ab", u"c", 0},
      {"edit keeps what was typed", esEdit, -1, u"ab", false, true, u"ab", u"c", 0},
      {"edit list shows the item's capitals", esEditList, -1, u"AB", false, true, u"Ab", u"c", 0},
      {"the whole item", esFixedList, -1, u"abd", false, true, u"abd", u"", 1},
      {"the next match after the selected item", esFixedList, 0, u"ab", true, true, u"ab", u"d", 1},
      {"no next match", esFixedList, 1, u"ab", true, false, u"ab", u"", 1},
      {"edit: no match clears the key", esEdit, 1, u"q", false, false, u"q", u"", -1},
      {"no-edit: no match clears the key", esNoEdit, 1, u"q", false, false, u"q", u"", -1},
      {"edit list: no match keeps the key", esEditList, 1, u"q", false, false, u"q", u"", 1},
      {"edit list: empty text clears the key", esEditList, 1, u"", false, false, u"", u"", -1},
      {"fixed list: no match keeps the key", esFixedList, 1, u"q", false, false, u"q", u"", 1},
      {"fixed list: empty text keeps the key", esFixedList, 1, u"", false, false, u"", u"", 1},
  };
  SetItems({u"Abc", u"abd", u"Xylophone"});
  for (const LocateCase& c : cases) {
    SCOPED_TRACE(c.name);
    props->EditingStyle = c.style;
    data->SetCurrentKey(Variant(c.keyBefore));
    String text = c.typed, tail = u"stale";
    EXPECT_EQ(data->Locate(text, tail, c.next), c.found);
    EXPECT_EQ(text, String(c.text));
    EXPECT_EQ(tail, String(c.tail));
    EXPECT_EQ(Key(), c.key);
  }
}

TEST_F(LookupTest, LocateInAnOpenLikeTypeFilterFindsTheFirstItemThatContainsTheText) {
  props->SetIncrementalFiltering(true);
  props->SetIncrementalFilteringOptions({ifoHighlightSearchText, ifoUseContainsOperator});
  props->EditingStyle = esFixedList;
  SetItems({u"Cherry", u"Banana", u"Andes"});
  edit->PopupShown = true;
  String text = u"AN", tail;
  EXPECT_TRUE(data->Locate(text, tail, false));
  EXPECT_EQ(text, u"AN");
  EXPECT_EQ(tail, u"");
  EXPECT_EQ(Key(), 1);
  EXPECT_EQ(data->SearchText(), u"AN");
  EXPECT_EQ(Visible(), (std::vector<String>{u"Banana", u"Andes"}));
}

TEST_F(LookupTest, LocateKeepsTheFilterWhenTypingMatchesNothingInAList) {
  props->SetIncrementalFiltering(true);
  props->SetIncrementalFilteringOptions({});
  SetItems({u"Cherry", u"Banana", u"Andes"});
  edit->PopupShown = true;
  const struct {
    const char* name;
    TcxEditEditingStyle style;
    bool incrementalSearch;
    std::vector<String> visible;
  } cases[] = {
      {"fixed list keeps the last filter", esFixedList, true, {u"Banana"}},
      {"edit without incremental search keeps it", esEdit, false, {u"Banana"}},
      {"edit with incremental search filters to nothing", esEdit, true, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    props->EditingStyle = c.style;
    props->SetIncrementalSearch(c.incrementalSearch);
    String text = u"b", tail;
    EXPECT_TRUE(data->Locate(text, tail, false));
    text = u"bz";
    EXPECT_FALSE(data->Locate(text, tail, false));
    EXPECT_EQ(Visible(), c.visible);
  }
}

TEST_F(LookupTest, FilteringByContainsOrStartsWithIgnoringCase) {
  SetItems({u"Banana", u"Andes", u"Cherry", u"ANTS", u"Mango"});
  props->SetIncrementalFiltering(true);
  const struct {
    const char* name;
    TcxTextEditIncrementalFilteringOptions options;
    const char16_t* text;
    std::vector<String> visible;
  } cases[] = {
      {"contains", {ifoUseContainsOperator}, u"an", {u"Banana", u"Andes", u"ANTS", u"Mango"}},
      {"starts with", {ifoHighlightSearchText}, u"an", {u"Andes", u"ANTS"}},
      {"contains, no match", {ifoUseContainsOperator}, u"xy", {}},
      {"empty text shows all", {}, u"", {u"Banana", u"Andes", u"Cherry", u"ANTS", u"Mango"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    props->SetIncrementalFilteringOptions(c.options);
    data->UpdateFilteredLookupItems(c.text);
    EXPECT_EQ(Visible(), c.visible);
    EXPECT_EQ(data->IsEmpty(), c.visible.empty());
  }
  data->ResetIncrementalFilter();
  EXPECT_EQ(data->SearchText(), u"");
  EXPECT_EQ(data->GetFilteredItemCount(), 5);
}

TEST_F(LookupTest, FilteredPositionsAndItemIndexes) {
  props->SetIncrementalFiltering(true);
  props->SetIncrementalFilteringOptions({ifoUseContainsOperator});
  SetItems({u"Apple", u"Banana", u"Cherry", u"Andes"});
  data->UpdateFilteredLookupItems(u"an");
  EXPECT_EQ(data->GetFilteredItemIndex(3), 1);
  EXPECT_EQ(data->GetFilteredItemIndex(0), -1);
  EXPECT_EQ(data->GetLookupItemIndexFromFilteredItemIndex(1), 3);
  // Outside the visible items there is no item, and no text.
  EXPECT_EQ(data->GetLookupItemIndexFromFilteredItemIndex(2), -1);
  EXPECT_EQ(data->GetFilteredItem(5), u"");
  // The items shrank after the filter was made: the stale entries give no item.
  props->LookupItems()->Delete(3);
  EXPECT_EQ(data->GetFilteredItem(1), u"");
}

TEST_F(LookupTest, TextChangeLocatesTheItemOfTheEditorsText) {
  SetItems({u"Apple", u"Pear", u"Peach"});
  const struct {
    const char* name;
    bool mru;
    TcxEditEditingStyle style;
    const char16_t* text;
    int key;
  } cases[] = {
      {"MRU: an item in another case", true, esEdit, u"pear", 1},
      {"MRU: a prefix is no item", true, esEdit, u"pea", -1},
      {"prefix", false, esEdit, u"pea", 1},
      {"fixed list: no match clears the key", false, esFixedList, u"zz", -1},
      {"edit list: no match clears the key", false, esEditList, u"zz", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    props->SetMRUMode(c.mru);
    props->EditingStyle = c.style;
    data->SetCurrentKey(Variant(0));
    edit->Text = c.text;
    data->TextChanged();
    EXPECT_EQ(Key(), c.key);
    // Locating never writes the editor's text.
    EXPECT_EQ(edit->Text, String(c.text));
  }
}

TEST_F(LookupTest, TextChangeKeepsTheItemThatShowsTheText) {
  SetItems({u"Peach", u"Pea"});
  data->SetCurrentKey(Variant(1));
  edit->Text = u"PEA";
  data->TextChanged();
  // A new search would find Peach first.
  EXPECT_EQ(Key(), 1);
}

TEST_F(LookupTest, SettingTheKeySelectsTheItemWithTheTextNoticeLocked) {
  SetItems({u"One", u"Two"});
  data->SetCurrentKey(Variant(1));
  EXPECT_EQ(edit->Text, u"Two");
  EXPECT_EQ(edit->SelectedWhileLocked, std::vector<bool>{true});
  EXPECT_FALSE(edit->TextChangedLocked);
  // The same key with the same text: nothing to select.
  data->SetCurrentKey(Variant(1));
  EXPECT_EQ(edit->SelectedWhileLocked.size(), 1u);
  // The same key while the text differs (here only in case): selected again.
  edit->Text = u"two";
  data->SetCurrentKey(Variant(1));
  EXPECT_EQ(edit->SelectedWhileLocked.size(), 2u);
  EXPECT_EQ(edit->Text, u"Two");
  // Keys outside the items are ignored.
  data->SetCurrentKey(Variant(2));
  EXPECT_EQ(Key(), 1);
  data->SetCurrentKey(Null());
  EXPECT_EQ(Key(), -1);
  EXPECT_EQ(data->GetDisplayText(Variant(5)), u"");
}

TEST_F(LookupTest, SelectItemOfTheCurrentItemSelectsItAgainWithoutAsking) {
  SetItems({u"One", u"Two"});
  EditEventLog log;
  log.AllowEditing = false;
  edit->OnEditing = MakeMethod(&log, &EditEventLog::Editing);
  // Nothing selected in the list: nothing happens.
  data->SelectItem();
  EXPECT_TRUE(log.Events.empty());
  data->SetCurrentKey(Variant(0));
  data->Go(egdNext, false);  // no list: the key moves with the item
  EXPECT_EQ(Key(), 1);
  // The key equals the list's item: selected again without asking.
  data->SelectItem();
  EXPECT_TRUE(log.Events.empty());
  EXPECT_EQ(edit->SelectedWhileLocked.size(), 3u);
}

TEST_F(LookupTest, FindAndIndexOfIgnoreCase) {
  SetItems({u"Alpha", u"beta"});
  EXPECT_TRUE(data->Find(u"BETA"));
  EXPECT_FALSE(data->Find(u"bet"));
  EXPECT_EQ(data->IndexOf(u"alpha"), 0);
  EXPECT_EQ(data->GetActiveControl(), nullptr);
  EXPECT_EQ(data->GetSelectedItem(), -1);
}

}  // namespace
}  // namespace qd::testing
