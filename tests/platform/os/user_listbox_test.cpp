// The system list box: item messages, selection, top index and scrolling, owner drawing,
// keyboard, mouse and wheel through the real queue, and the notifications to the parent.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/base/strings.h"
#include "platform/os/user_listbox.h"
#include "user_test_util.h"

namespace qd::testing {
namespace {

constexpr int kId = 77;

class ListBoxTest : public WmTest {
 protected:
  // A visible top-level parent at (0,0) that records the list's notifications.
  HWND NewParent() {
    parent_ = CreateRecorded("parent", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300);
    SetOverride(parent_, [this](HWND, UINT m, WPARAM wp, LPARAM lp, LRESULT& r) {
      if (m == WM_COMMAND && reinterpret_cast<HWND>(lp) == list_) {
        EXPECT_EQ(LOWORD(wp), kId);
        codes.push_back(static_cast<int16_t>(HIWORD(wp)));
      }
      if (m == WM_DRAWITEM) {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        draws.push_back(*d);
        EXPECT_EQ(wp, static_cast<WPARAM>(kId));
        r = TRUE;
        return true;
      }
      if (m == WM_MEASUREITEM) {
        auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        measures.push_back(*mi);
        mi->itemHeight = mi->itemID == 0 && measureFixed ? 12 : 10 + 2 * static_cast<UINT>(mi->itemData);
        r = TRUE;
        return true;
      }
      if (m == WM_DELETEITEM) {
        deleted.push_back(reinterpret_cast<DELETEITEMSTRUCT*>(lp)->itemData);
        r = TRUE;
        return true;
      }
      if (m == WM_COMPAREITEM) {
        auto* c = reinterpret_cast<COMPAREITEMSTRUCT*>(lp);
        r = c->itemData1 < c->itemData2 ? -1 : c->itemData1 > c->itemData2 ? 1 : 0;
        return true;
      }
      if (m == WM_CTLCOLORLISTBOX && ctlBrush) {
        r = reinterpret_cast<LRESULT>(ctlBrush);
        return true;
      }
      return false;
    });
    return parent_;
  }

  // A list box child of a new parent: 100 pixels of client height, rows of 10 pixels.
  HWND NewList(DWORD style, int rowHeight = 10, int height = 100) {
    if (!parent_) NewParent();
    list_ = CreateWindowExW(0, u"LISTBOX", u"", WS_CHILD | WS_VISIBLE | LBS_NOINTEGRALHEIGHT | style, 10, 10,
                            150, height, parent_, reinterpret_cast<HMENU>(static_cast<intptr_t>(kId)),
                            nullptr, nullptr);
    EXPECT_NE(list_, nullptr);
    if (rowHeight && !(style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)))
      SendMessageW(list_, LB_SETITEMHEIGHT, 0, rowHeight);
    return list_;
  }

  void AddNumbered(int n) {
    for (int i = 0; i < n; ++i) {
      String s = u"item " + IntToStr(100 + i);
      SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
    }
  }

  LRESULT Send(UINT m, WPARAM wp = 0, LPARAM lp = 0) { return SendMessageW(list_, m, wp, lp); }
  LRESULT SendText(UINT m, WPARAM wp, const char16_t* s) { return Send(m, wp, reinterpret_cast<LPARAM>(s)); }

  std::vector<String> Texts() {
    std::vector<String> r;
    const int n = static_cast<int>(Send(LB_GETCOUNT));
    for (int i = 0; i < n; ++i) {
      String s(static_cast<size_t>(Send(LB_GETTEXTLEN, i)), u'\0');
      Send(LB_GETTEXT, i, reinterpret_cast<LPARAM>(s.data()));
      r.push_back(s);
    }
    return r;
  }

  // Screen point of a client point of the list.
  POINT At(int x, int y) {
    POINT p{x, y};
    ClientToScreen(list_, &p);
    return p;
  }
  void Click(POINT p, UINT down = WM_LBUTTONDOWN) {
    os::InjectMouseMove(p);
    os::InjectMouseButton(down, p);
    os::InjectMouseButton(WM_LBUTTONUP, p);
    PumpMessages();
  }
  void Key(int vk) {
    os::InjectKey(vk, true);
    os::InjectKey(vk, false);
    PumpMessages();
  }

  HWND parent_ = nullptr;
  HWND list_ = nullptr;
  std::vector<int> codes;
  std::vector<DRAWITEMSTRUCT> draws;
  std::vector<MEASUREITEMSTRUCT> measures;
  std::vector<ULONG_PTR> deleted;
  bool measureFixed = false;
  HBRUSH ctlBrush = nullptr;
};

const WPARAM kFromStart = static_cast<WPARAM>(-1);

TEST_F(ListBoxTest, ItemMessagesTable) {
  struct Step {
    UINT msg;
    WPARAM wp;
    const char16_t* text;  // as lParam (nullptr: 0)
    LRESULT expect;
  };
  struct Case {
    const char* name;
    DWORD style;
    std::vector<Step> steps;
    std::vector<String> items;
  } cases[] = {
      {"sorted insertion, case-insensitive, equal items after earlier ones",
       LBS_SORT,
       {{LB_ADDSTRING, 0, u"pear", 0},
        {LB_ADDSTRING, 0, u"Apple", 0},
        {LB_ADDSTRING, 0, u"banana", 1},
        {LB_ADDSTRING, 0, u"apple", 1},
        {LB_INSERTSTRING, kFromStart, u"zz-unsorted", 4},
        {LB_INSERTSTRING, 0, u"first", 0},
        {LB_INSERTSTRING, 7, u"x", LB_ERR},
        {LB_GETCOUNT, 0, nullptr, 6}},
       {u"first", u"Apple", u"apple", u"banana", u"pear", u"zz-unsorted"}},
      {"finding: prefixes, exact names, start after wParam, wrapping",
       0,
       {{LB_ADDSTRING, 0, u"alpha", 0},
        {LB_ADDSTRING, 0, u"beta", 1},
        {LB_ADDSTRING, 0, u"Alphabet", 2},
        {LB_FINDSTRING, kFromStart, u"ALP", 0},
        {LB_FINDSTRING, 0, u"alp", 2},
        {LB_FINDSTRING, 2, u"alp", 0},
        {LB_FINDSTRING, 99, u"b", 1},
        {LB_FINDSTRING, kFromStart, u"gamma", LB_ERR},
        {LB_FINDSTRING, kFromStart, u"alphabetical", LB_ERR},
        {LB_FINDSTRINGEXACT, kFromStart, u"ALPHABET", 2},
        {LB_FINDSTRINGEXACT, kFromStart, u"alph", LB_ERR},
        {LB_SELECTSTRING, 0, u"a", 2},
        {LB_GETCURSEL, 0, nullptr, 2},
        {LB_SELECTSTRING, 0, u"q", LB_ERR},
        {LB_GETCURSEL, 0, nullptr, 2}},
       {u"alpha", u"beta", u"Alphabet"}},
      {"bad indexes answer LB_ERR and change nothing",
       0,
       {{LB_ADDSTRING, 0, u"a", 0},
        {LB_ADDSTRING, 0, u"b", 1},
        {LB_GETTEXTLEN, 2, nullptr, LB_ERR},
        {LB_GETTEXTLEN, kFromStart, nullptr, LB_ERR},
        {LB_DELETESTRING, 2, nullptr, LB_ERR},
        {LB_GETITEMDATA, 5, nullptr, LB_ERR},
        {LB_SETITEMDATA, 5, nullptr, LB_ERR},
        {LB_SETCURSEL, 2, nullptr, LB_ERR},
        {LB_GETCURSEL, 0, nullptr, LB_ERR},
        {LB_SETTOPINDEX, 2, nullptr, LB_ERR},
        {LB_SETCOUNT, 10, nullptr, LB_ERR},
        {LB_SETSEL, 1, nullptr, LB_ERR},
        {LB_GETCOUNT, 0, nullptr, 2}},
       {u"a", u"b"}},
      {"the selection follows deletions and insertions",
       0,
       {{LB_ADDSTRING, 0, u"a", 0},
        {LB_ADDSTRING, 0, u"b", 1},
        {LB_ADDSTRING, 0, u"c", 2},
        {LB_SETCURSEL, 1, nullptr, 1},
        {LB_INSERTSTRING, 0, u"new", 0},
        {LB_GETCURSEL, 0, nullptr, 2},
        {LB_DELETESTRING, 0, nullptr, 3},
        {LB_GETCURSEL, 0, nullptr, 1},
        {LB_DELETESTRING, 2, nullptr, 2},
        {LB_GETCURSEL, 0, nullptr, 1},
        {LB_DELETESTRING, 1, nullptr, 1},
        {LB_GETCURSEL, 0, nullptr, LB_ERR},
        {LB_SETCURSEL, 0, nullptr, 0},
        {LB_SETCURSEL, kFromStart, nullptr, LB_ERR},  // clears, and says LB_ERR as documented
        {LB_GETCURSEL, 0, nullptr, LB_ERR},
        {LB_RESETCONTENT, 0, nullptr, 0},
        {LB_GETCOUNT, 0, nullptr, 0}},
       {}},
  };
  for (const auto& c : cases) {
    NewList(c.style);
    for (size_t i = 0; i < c.steps.size(); ++i) {
      const Step& s = c.steps[i];
      EXPECT_EQ(SendText(s.msg, s.wp, s.text), s.expect) << c.name << ", step " << i;
    }
    EXPECT_EQ(Texts(), c.items) << c.name;
    DestroyWindow(list_);
  }
}

TEST_F(ListBoxTest, TextAndItemDataRoundTrip) {
  NewList(0);
  EXPECT_EQ(SendText(LB_ADDSTRING, 0, u"Grüße"), 0);
  EXPECT_EQ(Send(LB_GETTEXTLEN, 0), 5);
  Char buffer[8] = {u'x', u'x', u'x', u'x', u'x', u'x', u'x', u'x'};
  EXPECT_EQ(Send(LB_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)), 5);
  EXPECT_EQ(String(buffer), u"Grüße");
  EXPECT_EQ(Send(LB_SETITEMDATA, 0, 0x12345678), LB_OKAY);
  EXPECT_EQ(Send(LB_GETITEMDATA, 0), 0x12345678);
  EXPECT_GE(Send(LB_INITSTORAGE, 100, 0), 101);
}

TEST_F(ListBoxTest, TopIndexItemRectsAndItemFromPoint) {
  NewList(WS_VSCROLL);
  AddNumbered(20);
  struct Case {
    WPARAM set;
    LRESULT result;
    int top;
  } cases[] = {{5, LB_OKAY, 5}, {15, LB_OKAY, 10},       {19, LB_OKAY, 10}, {0, LB_OKAY, 0},
               {20, LB_ERR, 0}, {kFromStart, LB_ERR, 0}, {7, LB_OKAY, 7}};
  for (const auto& c : cases) {
    EXPECT_EQ(Send(LB_SETTOPINDEX, c.set), c.result) << c.set;
    EXPECT_EQ(Send(LB_GETTOPINDEX), c.top) << c.set;
  }
  RECT client;
  GetClientRect(list_, &client);
  RECT r;
  ASSERT_EQ(Send(LB_GETITEMRECT, 9, reinterpret_cast<LPARAM>(&r)), 1);
  EXPECT_EQ(r, (RECT{0, 20, client.Right, 30}));
  ASSERT_EQ(Send(LB_GETITEMRECT, 5, reinterpret_cast<LPARAM>(&r)), 1);
  EXPECT_EQ(r, (RECT{0, -20, client.Right, -10}));
  EXPECT_EQ(Send(LB_GETITEMRECT, 20, reinterpret_cast<LPARAM>(&r)), LB_ERR);
  struct Point {
    int x, y;
    int item;
    int outside;
  } points[] = {{5, 0, 7, 0}, {5, 25, 9, 0}, {5, 99, 16, 0}, {5, 150, 19, 1}, {client.Right + 5, 25, 9, 1}};
  for (const auto& p : points) {
    const LRESULT v = Send(LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(LOWORD(v), p.item) << p.x << "," << p.y;
    EXPECT_EQ(HIWORD(v), p.outside) << p.x << "," << p.y;
  }
  // Fewer items than rows: the top stays 0; deleting items pulls the top back.
  Send(LB_SETTOPINDEX, 10);
  for (int i = 0; i < 12; ++i) Send(LB_DELETESTRING, 0);
  EXPECT_EQ(Send(LB_GETTOPINDEX), 0);
  EXPECT_EQ(Send(LB_SETTOPINDEX, 3), LB_OKAY);
  EXPECT_EQ(Send(LB_GETTOPINDEX), 0);
}

TEST_F(ListBoxTest, IntegralHeightKeepsWholeRows) {
  NewParent();
  list_ = CreateWindowExW(0, u"LISTBOX", u"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, parent_, nullptr,
                          nullptr, nullptr);
  RECT c;
  GetClientRect(list_, &c);
  const int row = static_cast<int>(Send(LB_GETITEMHEIGHT, 0));
  EXPECT_EQ(c.Bottom % row, 0);
  Send(LB_SETITEMHEIGHT, 0, 10);
  struct Case {
    int height, client;
  } cases[] = {{105, 100}, {95, 90}, {10, 10}, {7, 7}};
  for (const auto& k : cases) {
    MoveWindow(list_, 0, 0, 100, k.height, TRUE);
    GetClientRect(list_, &c);
    EXPECT_EQ(c.Bottom, k.client) << k.height;
  }
  // LBS_NOINTEGRALHEIGHT keeps any height.
  NewList(0);
  MoveWindow(list_, 0, 0, 100, 105, TRUE);
  GetClientRect(list_, &c);
  EXPECT_EQ(c.Bottom, 105);
}

TEST_F(ListBoxTest, VerticalBarFollowsTheItems) {
  struct Case {
    const char* name;
    DWORD style;
    int items;
    bool bar;
    DWORD state;  // rgstate[0] of GetScrollBarInfo
  } cases[] = {
      {"all items fit: no bar", WS_VSCROLL, 5, false, STATE_SYSTEM_INVISIBLE},
      {"more items than rows: bar", WS_VSCROLL, 25, true, 0},
      {"disable-no-scroll keeps a disabled bar", WS_VSCROLL | LBS_DISABLENOSCROLL, 5, true,
       STATE_SYSTEM_UNAVAILABLE},
      {"no WS_VSCROLL: never a bar", 0, 25, false, STATE_SYSTEM_INVISIBLE},
  };
  for (const auto& c : cases) {
    NewList(c.style);
    AddNumbered(c.items);
    const bool has = (GetWindowLongW(list_, GWL_STYLE) & WS_VSCROLL) != 0;
    EXPECT_EQ(has, c.bar) << c.name;
    RECT client;
    GetClientRect(list_, &client);
    EXPECT_EQ(client.Right, c.bar ? 150 - GetSystemMetrics(SM_CXVSCROLL) : 150) << c.name;
    SCROLLBARINFO sbi;
    ASSERT_TRUE(GetScrollBarInfo(list_, OBJID_VSCROLL, &sbi));
    EXPECT_EQ(sbi.rgstate[0] & ~STATE_SYSTEM_OFFSCREEN, c.state) << c.name;
    if (c.items == 25 && c.bar) {
      SCROLLINFO si;
      si.fMask = SIF_ALL;
      ASSERT_TRUE(GetScrollInfo(list_, SB_VERT, &si));
      EXPECT_EQ(si.nMax, 24);
      EXPECT_EQ(si.nPage, 10u);
      Send(LB_SETCURSEL, 20);
      EXPECT_EQ(Send(LB_GETTOPINDEX), 11);  // scrolled so that the selection shows
      EXPECT_EQ(GetScrollPos(list_, SB_VERT), 11);
    }
    DestroyWindow(list_);
  }
}

TEST_F(ListBoxTest, ScrollMessagesAndTheWindowsOwnBar) {
  os::ScopedVirtualClock clock;
  NewList(WS_VSCROLL | WS_HSCROLL);
  AddNumbered(30);
  struct Case {
    WPARAM code;
    int top;
  } cases[] = {{SB_LINEDOWN, 1}, {SB_PAGEDOWN, 10}, {SB_BOTTOM, 20}, {SB_LINEDOWN, 20},
               {SB_PAGEUP, 11},  {SB_LINEUP, 10},   {SB_TOP, 0},     {MAKEWPARAM(SB_THUMBPOSITION, 13), 13}};
  for (const auto& c : cases) {
    Send(WM_VSCROLL, c.code);
    EXPECT_EQ(Send(LB_GETTOPINDEX), c.top) << LOWORD(c.code);
  }
  // A click on the down arrow of the list's own bar scrolls by one item.
  SCROLLBARINFO sbi;
  ASSERT_TRUE(GetScrollBarInfo(list_, OBJID_VSCROLL, &sbi));
  Click({sbi.rcScrollBar.Left + 3, sbi.rcScrollBar.Bottom - 3});
  EXPECT_EQ(Send(LB_GETTOPINDEX), 14);
  // The horizontal extent: a bar only while it is wider than the list.
  EXPECT_FALSE(GetWindowLongW(list_, GWL_STYLE) & WS_HSCROLL);
  Send(LB_SETHORIZONTALEXTENT, 400);
  EXPECT_EQ(Send(LB_GETHORIZONTALEXTENT), 400);
  EXPECT_TRUE(GetWindowLongW(list_, GWL_STYLE) & WS_HSCROLL);
  Send(WM_HSCROLL, SB_RIGHT);
  RECT client, r;
  GetClientRect(list_, &client);
  EXPECT_EQ(GetScrollPos(list_, SB_HORZ), 400 - client.Right);
  Send(LB_SETHORIZONTALEXTENT, 0);
  EXPECT_FALSE(GetWindowLongW(list_, GWL_STYLE) & WS_HSCROLL);
  ASSERT_EQ(Send(LB_GETITEMRECT, 14, reinterpret_cast<LPARAM>(&r)), 1);
  EXPECT_EQ(r.Left, 0);
}

TEST_F(ListBoxTest, OwnerDrawVariableMeasuresDrawsAndDeletes) {
  NewParent();
  NewList(LBS_OWNERDRAWVARIABLE | WS_VSCROLL, 0, 60);
  for (ULONG_PTR d = 1; d <= 5; ++d) Send(LB_ADDSTRING, 0, static_cast<LPARAM>(d));  // data, no strings
  ASSERT_EQ(measures.size(), 5u);
  EXPECT_EQ(measures[2].CtlType, ODT_LISTBOX);
  EXPECT_EQ(measures[2].CtlID, static_cast<UINT>(kId));
  EXPECT_EQ(measures[2].itemID, 2u);
  EXPECT_EQ(measures[2].itemData, 3u);
  EXPECT_EQ(Send(LB_GETITEMHEIGHT, 2), 16);
  // Heights 12, 14, 16, 18, 20: the first three fit into 60 pixels and are drawn.
  draws.clear();
  InvalidateRect(list_, nullptr, TRUE);
  UpdateWindow(list_);
  std::vector<std::pair<UINT, RECT>> drawn;
  for (const auto& d : draws) {
    EXPECT_EQ(d.itemAction, ODA_DRAWENTIRE);
    EXPECT_EQ(d.hwndItem, list_);
    EXPECT_EQ(d.itemData, d.itemID + 1);
    drawn.push_back({d.itemID, d.rcItem});
  }
  RECT client;
  GetClientRect(list_, &client);
  const int w = client.Right;
  EXPECT_EQ(drawn, (std::vector<std::pair<UINT, RECT>>{
                       {0, {0, 0, w, 12}}, {1, {0, 12, w, 26}}, {2, {0, 26, w, 42}}, {3, {0, 42, w, 60}}}));
  // The last page starts where the remaining items fit: 16 + 18 + 20 = 54 <= 60.
  Send(LB_SETTOPINDEX, 4);
  EXPECT_EQ(Send(LB_GETTOPINDEX), 2);
  // Selecting draws the item at once with ODA_SELECT; focus adds ODS_FOCUS.
  SetFocus(list_);
  draws.clear();
  Send(LB_SETCURSEL, 3);
  ASSERT_FALSE(draws.empty());
  EXPECT_EQ(draws.back().itemID, 3u);
  EXPECT_EQ(draws.back().itemAction, ODA_SELECT);
  EXPECT_EQ(draws.back().itemState, ODS_SELECTED | ODS_FOCUS);
  // Without strings, the text is the item data and finding compares data.
  ULONG_PTR data = 0;
  EXPECT_EQ(Send(LB_GETTEXT, 4, reinterpret_cast<LPARAM>(&data)), static_cast<LRESULT>(sizeof(ULONG_PTR)));
  EXPECT_EQ(data, 5u);
  EXPECT_EQ(Send(LB_FINDSTRING, kFromStart, 4), 3);
  // Deleting tells the owner which data went.
  Send(LB_DELETESTRING, 1);
  EXPECT_EQ(deleted, (std::vector<ULONG_PTR>{2}));
  DestroyWindow(list_);
  EXPECT_EQ(deleted, (std::vector<ULONG_PTR>{2, 1, 3, 4, 5}));
}

TEST_F(ListBoxTest, OwnerDrawFixedAndSortedByTheOwner) {
  NewParent();
  measureFixed = true;
  NewList(LBS_OWNERDRAWFIXED | LBS_SORT, 0);
  ASSERT_EQ(measures.size(), 1u);
  EXPECT_EQ(Send(LB_GETITEMHEIGHT, 0), 12);
  for (LPARAM d : {30, 10, 20}) Send(LB_ADDSTRING, 0, d);
  std::vector<LRESULT> order;
  for (int i = 0; i < 3; ++i) order.push_back(Send(LB_GETITEMDATA, i));
  EXPECT_EQ(order, (std::vector<LRESULT>{10, 20, 30}));
  // An empty focused list draws its focus as item -1.
  Send(LB_RESETCONTENT);
  draws.clear();
  SetFocus(list_);
  InvalidateRect(list_, nullptr, TRUE);
  UpdateWindow(list_);
  ASSERT_FALSE(draws.empty());
  EXPECT_EQ(draws.back().itemID, static_cast<UINT>(-1));
  EXPECT_EQ(draws.back().itemState, ODS_FOCUS);
}

TEST_F(ListBoxTest, KeyboardThroughTheQueue) {
  os::ScopedVirtualClock clock;
  NewList(WS_VSCROLL | LBS_NOTIFY);
  AddNumbered(20);
  SendText(LB_INSERTSTRING, 3, u"banana");
  SendText(LB_INSERTSTRING, 8, u"blue");
  SetFocus(list_);
  codes.clear();
  struct Step {
    int vk;  // or a character with vk 0
    Char ch;
    int sel;
    int top;
  } steps[] = {{VK_DOWN, 0, 0, 0}, {VK_DOWN, 0, 1, 0},  {VK_END, 0, 21, 12}, {VK_HOME, 0, 0, 0},
               {VK_NEXT, 0, 9, 0}, {VK_NEXT, 0, 18, 9}, {VK_PRIOR, 0, 9, 9}, {VK_PRIOR, 0, 0, 0},
               {VK_UP, 0, 0, 0},   {0, u'b', 3, 0},     {0, u'l', 8, 0},     {0, u'b', 3, 0}};
  int selChanges = 0;
  for (const auto& s : steps) {
    clock.Advance(s.ch == u'l' ? 100 : 2000);  // typing "bl" quickly, then a fresh "b"
    if (s.vk) {
      Key(s.vk);
    } else {
      os::InjectKey(VK_PACKET, true, s.ch);
      os::InjectKey(VK_PACKET, false, s.ch);
      PumpMessages();
    }
    EXPECT_EQ(Send(LB_GETCURSEL), s.sel) << s.vk << "/" << static_cast<int>(s.ch);
    EXPECT_EQ(Send(LB_GETTOPINDEX), s.top) << s.vk << "/" << static_cast<int>(s.ch);
    if (s.vk != VK_UP) ++selChanges;
  }
  // Every key that moved the selection told the parent; Up on the first item did not.
  EXPECT_EQ(std::count(codes.begin(), codes.end(), LBN_SELCHANGE), selChanges);
}

TEST_F(ListBoxTest, OwnerSeesKeysFirstWithWantKeyboardInput) {
  NewParent();
  std::vector<std::pair<UINT, WPARAM>> asked;
  SetOverride(parent_, [&](HWND, UINT m, WPARAM wp, LPARAM, LRESULT& r) {
    if (m != WM_VKEYTOITEM && m != WM_CHARTOITEM) return false;
    asked.push_back({m, wp});
    const int key = LOWORD(wp);
    r = m == WM_CHARTOITEM ? (key == 'x' ? 4 : -1) : key == VK_DOWN ? -2 : key == VK_END ? 5 : -1;
    return true;
  });
  struct Case {
    DWORD style;
    int vk;
    Char ch;
    int sel;
  } cases[] = {
      {LBS_WANTKEYBOARDINPUT, VK_DOWN, 0, -1},  // -2: the owner handled it
      {LBS_WANTKEYBOARDINPUT, VK_END, 0, 5},    // an index: that item
      {LBS_WANTKEYBOARDINPUT, VK_HOME, 0, 0},   // -1: the list's own handling
      {0, VK_DOWN, 0, 0},                       // not asked without the style
      {LBS_WANTKEYBOARDINPUT | LBS_OWNERDRAWFIXED, 0, u'x', 4},
  };
  for (const auto& c : cases) {
    NewList(c.style);
    for (LPARAM i = 0; i < 8; ++i) {
      const String s = u"i" + IntToStr(static_cast<int>(i));
      Send(LB_ADDSTRING, 0, (c.style & LBS_OWNERDRAWFIXED) ? i : reinterpret_cast<LPARAM>(s.c_str()));
    }
    SetFocus(list_);
    asked.clear();
    if (c.vk) {
      Key(c.vk);
    } else {
      os::InjectKey(VK_PACKET, true, c.ch);
      os::InjectKey(VK_PACKET, false, c.ch);
      PumpMessages();
    }
    EXPECT_EQ(Send(LB_GETCURSEL), c.sel) << c.vk << "/" << c.style;
    // A typed character is a key too: WM_VKEYTOITEM for its key, then WM_CHARTOITEM.
    const size_t expected = !(c.style & LBS_WANTKEYBOARDINPUT) ? 0u : c.vk ? 1u : 2u;
    EXPECT_EQ(asked.size(), expected) << c.vk << "/" << c.style;
    if (!c.vk && asked.size() == 2) {
      EXPECT_EQ(asked[1].first, WM_CHARTOITEM);
    }
    if (!asked.empty()) {
      EXPECT_EQ(HIWORD(asked[0].second), 0) << "the caret item";
    }
    DestroyWindow(list_);
  }
}

TEST_F(ListBoxTest, MouseSelectsAndNotifies) {
  os::ScopedVirtualClock clock;
  NewList(WS_VSCROLL | LBS_NOTIFY);
  AddNumbered(30);
  codes.clear();
  Click(At(20, 35));
  EXPECT_EQ(GetFocus(), list_);
  EXPECT_EQ(Send(LB_GETCURSEL), 3);
  EXPECT_EQ(codes, (std::vector<int>{LBN_SETFOCUS, LBN_SELCHANGE}));
  // A second click on the same item is a double click.
  codes.clear();
  Click(At(20, 35), WM_LBUTTONDOWN);
  EXPECT_EQ(codes, (std::vector<int>{LBN_DBLCLK, LBN_SELCHANGE}));
  // Dragging below the list scrolls on the clock, one item per tick.
  clock.Advance(1000);
  codes.clear();
  os::InjectMouseMove(At(20, 55));
  os::InjectMouseButton(WM_LBUTTONDOWN, At(20, 55));
  os::InjectMouseMove(At(20, 130));
  PumpMessages();
  EXPECT_EQ(Send(LB_GETCURSEL), 10);
  EXPECT_EQ(Send(LB_GETTOPINDEX), 1);
  for (int i = 0; i < 3; ++i) {
    clock.Advance(100);
    PumpMessages();
  }
  EXPECT_EQ(Send(LB_GETCURSEL), 13);
  EXPECT_EQ(Send(LB_GETTOPINDEX), 4);
  EXPECT_TRUE(codes.empty());
  // Losing the capture cancels: the old selection comes back.
  ReleaseCapture();
  EXPECT_EQ(Send(LB_GETCURSEL), 3);
  EXPECT_EQ(codes, (std::vector<int>{LBN_SELCANCEL}));
  os::InjectMouseButton(WM_LBUTTONUP, At(20, 130));
  PumpMessages();
  EXPECT_EQ(codes, (std::vector<int>{LBN_SELCANCEL}));
  // Without LBS_NOTIFY only the focus notifications come.
  DestroyWindow(list_);
  codes.clear();
  NewList(WS_VSCROLL);
  AddNumbered(5);
  clock.Advance(1000);
  Click(At(20, 15));
  EXPECT_EQ(Send(LB_GETCURSEL), 1);
  EXPECT_EQ(codes, (std::vector<int>{LBN_SETFOCUS}));
  // Emptied while the button is held: the drag goes on over nothing.
  clock.Advance(1000);
  os::InjectMouseButton(WM_LBUTTONDOWN, At(20, 15));
  PumpMessages();
  Send(LB_RESETCONTENT);
  os::InjectMouseMove(At(20, 150));
  PumpMessages();
  clock.Advance(300);
  PumpMessages();
  os::InjectMouseButton(WM_LBUTTONUP, At(20, 150));
  PumpMessages();
  EXPECT_EQ(Send(LB_GETCURSEL), LB_ERR);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ListBoxTest, WheelScrollsByTheSystemsLines) {
  NewList(WS_VSCROLL);
  AddNumbered(40);
  SetFocus(list_);  // the wheel goes to the focus
  struct Case {
    int lines;
    int delta;
    int top;
  } cases[] = {{3, -120, 3}, {3, -240, 9}, {3, 120, 6}, {-1, -120, 16},
               {3, -60, 17}, {3, -60, 19}, {1, 120, 18}};
  for (const auto& c : cases) {
    os::SetSystemParameter(SPI_GETWHEELSCROLLLINES, c.lines);
    os::InjectMouseWheel(At(20, 20), c.delta);
    PumpMessages();
    EXPECT_EQ(Send(LB_GETTOPINDEX), c.top) << c.lines << " " << c.delta;
  }
}

TEST_F(ListBoxTest, PaintsWithTheOwnersBrushAndHighlightsTheSelection) {
  NewParent();
  ctlBrush = CreateSolidBrush(RGB(255, 0, 0));
  NewList(0);
  AddNumbered(3);
  Send(LB_SETCURSEL, 1);
  InvalidateRect(list_, nullptr, TRUE);
  UpdateWindow(list_);
  os::WindowPixels px = os::ReadWindowPixels(parent_, true);
  POINT o{0, 0};
  ClientToScreen(list_, &o);
  EXPECT_EQ(px.At(o.X + 140, o.Y + 5) & 0xFFFFFF, 0xFF0000u);  // item 0: the owner's brush
  const COLORREF hl = GetSysColor(COLOR_HIGHLIGHT);
  const uint32_t highlight = (GetRValue(hl) << 16) | (GetGValue(hl) << 8) | GetBValue(hl);
  EXPECT_EQ(px.At(o.X + 140, o.Y + 15) & 0xFFFFFF, highlight);  // item 1: highlighted
  EXPECT_EQ(px.At(o.X + 140, o.Y + 80) & 0xFFFFFF, 0xFF0000u);  // below the items
  DestroyWindow(list_);
  DeleteObject(ctlBrush);
}

// The selected items of a multiple-selection list, by LB_GETSELITEMS.
std::vector<int> SelectedItems(HWND list) {
  std::vector<int> out(static_cast<size_t>(SendMessageW(list, LB_GETCOUNT, 0, 0)));
  const LRESULT n = SendMessageW(list, LB_GETSELITEMS, static_cast<WPARAM>(out.size()),
                                 reinterpret_cast<LPARAM>(out.data()));
  out.resize(static_cast<size_t>(std::max<LRESULT>(n, 0)));
  EXPECT_EQ(n, SendMessageW(list, LB_GETSELCOUNT, 0, 0));
  return out;
}

TEST_F(ListBoxTest, ExtendedSelectionByMouseAndKeys) {
  NewList(LBS_EXTENDEDSEL | LBS_NOTIFY);
  AddNumbered(20);
  SetFocus(list_);
  PumpMessages();
  // Each step: the click row (or -1 for a key), the modifiers held, then what is selected, the
  // focused item and the anchor. Only a change of the selection is notified.
  enum Mod { None = 0, Shift = 1, Ctrl = 2 };
  const struct Step {
    int row;
    int vk;
    int mods;
    std::vector<int> selected;
    int caret;
    int anchor;
  } steps[] = {
      {2, 0, None, {2}, 2, 2},
      {5, 0, Shift, {2, 3, 4, 5}, 5, 2},
      {8, 0, Ctrl, {2, 3, 4, 5, 8}, 8, 8},
      {3, 0, Ctrl, {2, 4, 5, 8}, 3, 3},
      {6, 0, Shift | Ctrl, {2, 3, 4, 5, 6, 8}, 6, 3},
      {1, 0, Shift, {1, 2, 3}, 1, 3},
      {-1, VK_DOWN, None, {2}, 2, 2},
      {-1, VK_DOWN, Shift, {2, 3}, 3, 2},
      {-1, VK_END, Shift, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}, 19, 2},
      {-1, VK_UP, Ctrl, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}, 18, 2},
      {-1, VK_SPACE, Ctrl, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19}, 18, 18},
      {-1, VK_HOME, None, {0}, 0, 0},
  };
  for (const Step& st : steps) {
    SCOPED_TRACE(st.row >= 0 ? "click on row " + std::to_string(st.row) : "key " + std::to_string(st.vk));
    codes.clear();
    if (st.mods & Shift) os::InjectKey(VK_SHIFT, true);
    if (st.mods & Ctrl) os::InjectKey(VK_CONTROL, true);
    if (st.row >= 0) {
      const POINT p = At(20, 10 * (st.row - static_cast<int>(Send(LB_GETTOPINDEX))) + 5);
      os::InjectMouseMove(p);
      os::InjectMouseButton(WM_LBUTTONDOWN, p);
      os::InjectMouseButton(WM_LBUTTONUP, p);
    } else {
      os::InjectKey(st.vk, true);
      os::InjectKey(st.vk, false);
    }
    if (st.mods & Ctrl) os::InjectKey(VK_CONTROL, false);
    if (st.mods & Shift) os::InjectKey(VK_SHIFT, false);
    PumpMessages();
    EXPECT_EQ(SelectedItems(list_), st.selected);
    EXPECT_EQ(Send(LB_GETCARETINDEX), st.caret);
    EXPECT_EQ(Send(LB_GETANCHORINDEX), st.anchor);
    const bool focusOnly = st.vk == VK_UP && st.mods == Ctrl;
    EXPECT_EQ(codes, focusOnly ? std::vector<int>{} : std::vector<int>{LBN_SELCHANGE});
  }
  // Dragging from an item selects the run from it to the mouse.
  os::InjectMouseMove(At(20, 45));
  os::InjectMouseButton(WM_LBUTTONDOWN, At(20, 45));
  os::InjectMouseMove(At(20, 75));
  os::InjectMouseButton(WM_LBUTTONUP, At(20, 75));
  PumpMessages();
  EXPECT_EQ(SelectedItems(list_), (std::vector<int>{4, 5, 6, 7}));
}

TEST_F(ListBoxTest, MultipleSelectionTogglesAndItsMessages) {
  NewList(LBS_MULTIPLESEL | LBS_NOTIFY);
  AddNumbered(10);
  SetFocus(list_);
  Click(At(20, 25));
  Click(At(20, 45));
  EXPECT_EQ(SelectedItems(list_), (std::vector<int>{2, 4}));
  Click(At(20, 25));
  EXPECT_EQ(SelectedItems(list_), (std::vector<int>{4}));
  // Arrows move the focus only; Space toggles the focused item.
  Key(VK_DOWN);
  EXPECT_EQ(Send(LB_GETCARETINDEX), 3);
  EXPECT_EQ(SelectedItems(list_), (std::vector<int>{4}));
  Key(VK_SPACE);
  EXPECT_EQ(SelectedItems(list_), (std::vector<int>{3, 4}));
  EXPECT_EQ(Send(LB_GETCURSEL), 3) << "the focused item";
  EXPECT_EQ(Send(LB_GETSEL, 3), 1);
  EXPECT_EQ(Send(LB_GETSEL, 5), 0);

  // The selection messages, and what single selection refuses.
  struct Case {
    UINT msg;
    WPARAM wp;
    LPARAM lp;
    LRESULT result;
    std::vector<int> selected;
  } cases[] = {
      {LB_SETSEL, TRUE, -1, LB_OKAY, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {LB_SETSEL, FALSE, 5, LB_OKAY, {0, 1, 2, 3, 4, 6, 7, 8, 9}},
      {LB_SETSEL, FALSE, -1, LB_OKAY, {}},
      {LB_SETSEL, TRUE, 10, LB_ERR, {}},
      {LB_SELITEMRANGE, TRUE, MAKELPARAM(2, 4), LB_OKAY, {2, 3, 4}},
      {LB_SELITEMRANGEEX, 7, 9, LB_OKAY, {2, 3, 4, 7, 8, 9}},
      {LB_SELITEMRANGEEX, 8, 3, LB_OKAY, {2, 9}},
      {LB_SELITEMRANGE, FALSE, MAKELPARAM(0, 50), LB_OKAY, {}},
      {LB_SETCURSEL, 1, 0, LB_ERR, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(MessageName(c.msg));
    EXPECT_EQ(Send(c.msg, c.wp, c.lp), c.result);
    EXPECT_EQ(SelectedItems(list_), c.selected);
  }
  // Selections move with the items around them.
  Send(LB_SETSEL, TRUE, 3);
  Send(LB_SETSEL, TRUE, 6);
  SendText(LB_INSERTSTRING, 0, u"novo");
  EXPECT_EQ(SelectedItems(list_), (std::vector<int>{4, 7}));
  Send(LB_DELETESTRING, 4);
  EXPECT_EQ(SelectedItems(list_), (std::vector<int>{6}));

  DestroyWindow(list_);
  NewList(0);
  AddNumbered(3);
  for (UINT m : {LB_SETSEL, LB_GETSELCOUNT, LB_GETSELITEMS, LB_SELITEMRANGE, LB_SELITEMRANGEEX})
    EXPECT_EQ(Send(m, 1, 1), LB_ERR) << MessageName(m);
}

TEST_F(ListBoxTest, MultiColumnListsRunDownThenAcross) {
  // 100 pixels high with rows of 10: ten rows a column; 150 wide with columns of 50: three shown.
  NewList(LBS_MULTICOLUMN | WS_HSCROLL | LBS_NOTIFY, 10, 100);
  EXPECT_EQ(Send(LB_SETCOLUMNWIDTH, 50), LB_OKAY);
  AddNumbered(45);
  // The horizontal bar takes its share of the height once there are more columns than shown.
  RECT client;
  GetClientRect(list_, &client);
  const int rows = client.Height() / 10;
  ASSERT_LT(rows, 10);
  RECT r{};
  Send(LB_GETITEMRECT, rows + 2, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r, (RECT{50, 20, 100, 30}));
  EXPECT_EQ(LOWORD(Send(LB_ITEMFROMPOINT, 0, MAKELPARAM(120, 35))), 2 * rows + 3);
  // Clicks pick the column; Right goes a column on, scrolling whole columns into view.
  SetFocus(list_);
  Click(At(60, 15));
  EXPECT_EQ(Send(LB_GETCURSEL), rows + 1);
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  EXPECT_EQ(Send(LB_GETCURSEL), 3 * rows + 1);
  EXPECT_EQ(Send(LB_GETTOPINDEX), rows);
  SCROLLINFO si{};
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(list_, SB_HORZ, &si));
  EXPECT_EQ(si.nMax, (45 + rows - 1) / rows - 1);
  EXPECT_EQ(si.nPos, 1);
  Send(WM_HSCROLL, SB_LEFT);
  EXPECT_EQ(Send(LB_GETTOPINDEX), 0);
  Send(WM_HSCROLL, SB_LINERIGHT);
  EXPECT_EQ(Send(LB_GETTOPINDEX), rows);
  EXPECT_EQ(Send(LB_SETTOPINDEX, rows + 3), LB_OKAY);
  EXPECT_EQ(Send(LB_GETTOPINDEX), rows) << "the top is a column's first item";
  // The column width is for multi-column lists only.
  DestroyWindow(list_);
  NewList(0);
  EXPECT_EQ(Send(LB_SETCOLUMNWIDTH, 50), LB_ERR);
}

TEST_F(ListBoxTest, DirListsTheEntriesOfAFolder) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("qd_lbdir_" + std::to_string(GetCurrentProcessId()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder / "sub");
  for (const char* name : {"a.txt", "B.TXT", "c.log", ".oculto.txt", "so_leitura.txt"})
    std::ofstream(folder / name) << "x";
  std::filesystem::permissions(folder / "so_leitura.txt", std::filesystem::perms::owner_read);
  const String base = Utf8ToString(folder.string());
  struct Case {
    WPARAM attributes;
    const char16_t* pattern;
    std::vector<String> items;
  } cases[] = {
      {DDL_READWRITE, u"/*.txt", {u"B.TXT", u"a.txt"}},
      {DDL_READWRITE, u"\\*.*", {u"B.TXT", u"a.txt", u"c.log"}},
      {DDL_DIRECTORY, u"/*", {u"[..]", u"B.TXT", u"a.txt", u"c.log", u"[sub]"}},
      {DDL_DIRECTORY | DDL_EXCLUSIVE, u"/*", {u"[..]", u"[sub]"}},
      {DDL_HIDDEN | DDL_READONLY, u"/*.txt", {u".oculto.txt", u"B.TXT", u"a.txt", u"so_leitura.txt"}},
      {DDL_READONLY | DDL_EXCLUSIVE, u"/*", {u"so_leitura.txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.pattern));
    NewList(0);
    const String pattern = base + c.pattern;
    const LRESULT last = SendText(LB_DIR, c.attributes, pattern.c_str());
    EXPECT_EQ(Texts(), c.items);
    EXPECT_EQ(last, static_cast<LRESULT>(c.items.size()) - 1);
    DestroyWindow(list_);
  }
  NewList(0);
  const String missing = base + u"/nada/*";
  EXPECT_EQ(SendText(LB_DIR, DDL_READWRITE, missing.c_str()), LB_ERR);
  EXPECT_EQ(SendText(LB_DIR, DDL_READWRITE, (base + u"/*.xyz").c_str()), LB_ERR) << "nothing added";
  std::filesystem::permissions(folder / "so_leitura.txt", std::filesystem::perms::owner_all);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace qd::testing
