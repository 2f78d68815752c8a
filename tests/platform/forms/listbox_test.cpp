// TListBox over the system list box: items kept across window re-creation, selection, top
// index and hit testing, owner drawing through the events, clicks and colours.
#include <string>
#include <vector>

#include "forms_test_util.h"
#include "platform/forms/stdctrls.h"
#include "platform/os/user_listbox.h"

namespace qd::testing {
namespace {

class ListBoxControl : public FormsTest {
 protected:
  TListBox* NewList(TForm* form, int x = 10, int y = 10, int w = 120, int h = 100) {
    auto* lb = new TListBox(form);
    lb->SetParent(form);
    lb->SetBounds(x, y, w, h);
    return lb;
  }
  static std::vector<String> ItemsOf(TListBox* lb) {
    std::vector<String> r;
    for (int i = 0; i < lb->Count(); ++i) r.push_back(lb->Items()->Get(i));
    return r;
  }
  static POINT Screen(TWinControl* c, int x, int y) {
    POINT p{x, y};
    ClientToScreen(c->Handle(), &p);
    return p;
  }
  void Click(POINT p) {
    os::InjectMouseMove(p);
    os::InjectMouseButton(WM_LBUTTONDOWN, p);
    os::InjectMouseButton(WM_LBUTTONUP, p);
    Application->ProcessMessages();
  }
};

struct Recorder {
  int clicks = 0;
  int dblClicks = 0;
  struct Draw {
    int index;
    TRect rect;
    TOwnerDrawState state;
  };
  std::vector<Draw> draws;
  void Clicked(TObject*) { ++clicks; }
  void DblClicked(TObject*) { ++dblClicks; }
  void DrawItem(TWinControl*, int Index, const TRect& Rect, TOwnerDrawState State) {
    draws.push_back({Index, Rect, State});
  }
  void Measure(TWinControl*, int Index, int& Height) { Height = 10 + 4 * Index; }
};

TEST_F(ListBoxControl, ItemsSurviveTheWindowComingAndGoing) {
  TForm* form = NewPlainForm(300, 200);
  auto* lb = new TListBox(form);  // no parent, no window yet
  lb->SetSorted(true);
  TObject tag;
  lb->Items()->Add(u"pear");
  lb->Items()->AddObject(u"Apple", &tag);
  lb->Items()->Add(u"banana");
  lb->SetItemIndex(2);
  EXPECT_FALSE(lb->HandleAllocated());
  EXPECT_EQ(ItemsOf(lb), (std::vector<String>{u"Apple", u"banana", u"pear"}));
  lb->SetParent(form);
  lb->HandleNeeded();
  ASSERT_TRUE(lb->HandleAllocated());
  EXPECT_EQ(SendMessageW(lb->Handle(), LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(ItemsOf(lb), (std::vector<String>{u"Apple", u"banana", u"pear"}));
  EXPECT_EQ(lb->Items()->Objects(0), &tag);
  EXPECT_EQ(lb->ItemIndex(), 2);
  // The window sorts what comes later; re-creation keeps items, objects and the selection.
  lb->Items()->Add(u"apricot");
  lb->SetItemIndex(1);
  lb->SetStyle(lbOwnerDrawFixed);
  EXPECT_EQ(ItemsOf(lb), (std::vector<String>{u"Apple", u"apricot", u"banana", u"pear"}));
  EXPECT_EQ(lb->Items()->Objects(0), &tag);
  EXPECT_EQ(lb->ItemIndex(), 1);
  EXPECT_EQ(lb->Items()->IndexOf(u"BANANA"), 2);
  lb->Items()->Delete(0);
  EXPECT_EQ(lb->ItemIndex(), 0);
  EXPECT_THROW(lb->Items()->Get(7), EStringListError);
  lb->Clear();
  EXPECT_EQ(lb->Count(), 0);
  EXPECT_EQ(lb->ItemIndex(), -1);
}

TEST_F(ListBoxControl, RegisteredForStoredForms) {
  for (const char* name :
       {"TListBox", "TOpenDialog", "TSaveDialog", "TOpenPictureDialog", "TSavePictureDialog"})
    EXPECT_NE(GetClass(name), nullptr) << name;
}

TEST_F(ListBoxControl, IndexesRectsAndHitTests) {
  TForm* form = NewPlainForm(300, 200);
  TListBox* lb = NewList(form);
  lb->SetStyle(lbOwnerDrawFixed);
  lb->SetItemHeight(10);
  lb->SetBorderStyle(bsNone);
  for (int i = 0; i < 30; ++i) lb->Items()->Add(u"row " + IntToStr(i));
  ShowAndPaint(form);
  EXPECT_EQ(lb->ItemHeight(), 10);
  const int w = lb->ClientWidth();
  struct Case {
    int setTop;
    int top;
    int itemIndex;  // selection set after the top index
    int topAfter;
  } cases[] = {{5, 5, 7, 5}, {25, 20, 3, 3}, {0, 0, 29, 20}, {-3, 20, -1, 20}};
  for (const auto& c : cases) {
    lb->SetTopIndex(c.setTop);
    EXPECT_EQ(lb->TopIndex(), c.top) << c.setTop;
    lb->SetItemIndex(c.itemIndex);
    EXPECT_EQ(lb->ItemIndex(), c.itemIndex);
    EXPECT_EQ(lb->TopIndex(), c.topAfter) << c.setTop;
  }
  lb->SetTopIndex(4);
  EXPECT_EQ(lb->ItemRect(6), Rect(0, 20, w, 30));
  EXPECT_EQ(lb->ItemRect(3), Rect(0, -10, w, 0));
  struct Hit {
    TPoint p;
    bool existing;
    int item;
  } hits[] = {{{5, 0}, true, 4},     {{5, 25}, true, 6},   {{5, 99}, false, 13},
              {{5, 100}, false, -1}, {{-1, 5}, false, -1}, {{w + 1, 5}, true, -1}};
  for (const auto& h : hits) EXPECT_EQ(lb->ItemAtPos(h.p, h.existing), h.item) << h.p.X << "," << h.p.Y;
  // A short list: below the last item there is no item, or Count when not only existing ones.
  lb->Clear();
  lb->Items()->Add(u"one");
  EXPECT_EQ(lb->ItemAtPos({5, 50}, true), -1);
  EXPECT_EQ(lb->ItemAtPos({5, 50}, false), 1);
  EXPECT_EQ(lb->ItemRect(1), Rect(0, 10, lb->ClientWidth(), 20));  // no vertical bar any more
  lb->SetScrollWidth(500);
  EXPECT_EQ(lb->ScrollWidth(), 500);
  EXPECT_TRUE(GetWindowLongW(lb->Handle(), GWL_STYLE) & WS_HSCROLL);
}

TEST_F(ListBoxControl, OwnerDrawVariableThroughTheEvents) {
  TForm* form = NewPlainForm(300, 200);
  TListBox* lb = NewList(form);
  Recorder rec;
  lb->OnMeasureItem = TMeasureItemEvent(&rec, &Recorder::Measure);
  lb->OnDrawItem = TDrawItemEvent(&rec, &Recorder::DrawItem);
  lb->SetStyle(lbOwnerDrawVariable);
  lb->SetBorderStyle(bsNone);
  for (int i = 0; i < 4; ++i) lb->Items()->Add(u"v" + IntToStr(i));
  lb->SetItemIndex(2);
  ShowAndPaint(form);
  rec.draws.clear();
  lb->Invalidate();
  UpdateWindow(lb->Handle());
  const int w = lb->ClientWidth();
  ASSERT_EQ(rec.draws.size(), 4u);
  const TRect expected[] = {Rect(0, 0, w, 10), Rect(0, 10, w, 24), Rect(0, 24, w, 42), Rect(0, 42, w, 64)};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(rec.draws[i].index, i);
    EXPECT_EQ(rec.draws[i].rect, expected[i]) << i;
    EXPECT_EQ(rec.draws[i].state.Contains(odSelected), i == 2) << i;
    EXPECT_EQ(lb->ItemRect(i), expected[i]) << i;
  }
  EXPECT_EQ(lb->ItemAtPos({3, 30}, true), 2);
}

TEST_F(ListBoxControl, ClicksKeysAndDefaultOwnerDrawing) {
  TForm* form = NewPlainForm(300, 200);
  TListBox* lb = NewList(form);
  lb->SetStyle(lbOwnerDrawFixed);
  lb->SetItemHeight(16);
  lb->SetColor(clRed);
  for (int i = 0; i < 5; ++i) lb->Items()->Add(u"entry " + IntToStr(i));
  Recorder rec;
  lb->OnClick = TNotifyEvent(&rec, &Recorder::Clicked);
  lb->OnDblClick = TNotifyEvent(&rec, &Recorder::DblClicked);
  ShowAndPaint(form);
  Click(Screen(lb, 20, 20));
  EXPECT_EQ(lb->ItemIndex(), 1);
  EXPECT_TRUE(lb->Focused());
  EXPECT_EQ(rec.clicks, 1);
  os::InjectMouseButton(WM_LBUTTONDOWN, Screen(lb, 20, 20));
  os::InjectMouseButton(WM_LBUTTONUP, Screen(lb, 20, 20));
  Application->ProcessMessages();
  EXPECT_EQ(rec.dblClicks, 1);
  os::InjectKey(VK_DOWN, true);
  os::InjectKey(VK_DOWN, false);
  Application->ProcessMessages();
  EXPECT_EQ(lb->ItemIndex(), 2);
  EXPECT_EQ(rec.clicks, 3);
  lb->SetItemIndex(0);  // by the program: no click
  EXPECT_EQ(rec.clicks, 3);
  // The default drawing: the control's colour, and the highlight behind the selected row.
  Clock().Advance(1000);
  lb->Repaint();
  const COLORREF hl = GetSysColor(COLOR_HIGHLIGHT);
  const uint32_t highlight = (GetRValue(hl) << 16) | (GetGValue(hl) << 8) | GetBValue(hl);
  POINT inItem0 = Screen(lb, 100, 4), inItem3 = Screen(lb, 100, 52), below = Screen(lb, 100, 90);
  ScreenToClient(form->Handle(), &inItem0);
  ScreenToClient(form->Handle(), &inItem3);
  ScreenToClient(form->Handle(), &below);
  EXPECT_EQ(ClientPixel(form, inItem0.X, inItem0.Y) & 0xFFFFFF, highlight);
  EXPECT_EQ(ClientPixel(form, inItem3.X, inItem3.Y) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(ClientPixel(form, below.X, below.Y) & 0xFFFFFF, 0xFF0000u);
}

TEST_F(ListBoxControl, MultipleSelectionByProgramAndMouse) {
  TForm* form = NewPlainForm(300, 200);
  form->Show();
  TListBox* lb = NewList(form);
  lb->SetMultiSelect(true);  // extended: Ctrl adds, a plain click selects one
  for (const char16_t* s : {u"a", u"b", u"c", u"d"}) lb->Items()->Add(s);
  lb->SetSelected(1, true);
  lb->SetSelected(3, true);
  EXPECT_EQ(lb->SelCount(), 2);
  EXPECT_TRUE(lb->Selected(1));
  EXPECT_FALSE(lb->Selected(2));
  lb->SetItemIndex(2);  // the focused item; the selection stays
  EXPECT_EQ(lb->ItemIndex(), 2);
  EXPECT_EQ(lb->SelCount(), 2);
  const int rowHeight = lb->ItemRect(0).Height();
  Click(Screen(lb, 10, rowHeight / 2));  // a plain click: only the first item
  EXPECT_EQ(lb->SelCount(), 1);
  EXPECT_TRUE(lb->Selected(0));
  os::InjectKey(VK_CONTROL, true);
  Click(Screen(lb, 10, 2 * rowHeight + rowHeight / 2));
  os::InjectKey(VK_CONTROL, false);
  Application->ProcessMessages();
  EXPECT_EQ(lb->SelCount(), 2);
  EXPECT_TRUE(lb->Selected(2));
  EXPECT_THROW(lb->Selected(9), EStringListError);
  // A single-selection list answers through its one selected item.
  lb->SetMultiSelect(false);
  lb->SetSelected(3, true);
  EXPECT_EQ(lb->ItemIndex(), 3);
  EXPECT_EQ(lb->SelCount(), 1);
  lb->SetSelected(3, false);
  EXPECT_EQ(lb->SelCount(), 0);
}

struct VirtualData {
  std::vector<String> items{u"alpha", u"beta", u"gamma"};
  void Data(TWinControl*, int Index, String& Data) { Data = items[static_cast<size_t>(Index)]; }
};

TEST_F(ListBoxControl, VirtualListKeepsItsCountAndDrawsFromOnData) {
  TForm* form = NewPlainForm(300, 200);
  VirtualData data;
  TListBox* lb = NewList(form);
  lb->SetStyle(lbVirtual);
  lb->OnData = TLBGetDataEvent(&data, &VirtualData::Data);
  lb->SetCount(3);  // before the window: kept until it exists
  form->Show();
  EXPECT_EQ(lb->Count(), 3);
  EXPECT_TRUE(GetWindowLongW(lb->Handle(), GWL_STYLE) & LBS_NODATA);
  lb->SetItemIndex(1);
  // The count survives the window being made again.
  lb->SetSorted(true);
  EXPECT_EQ(lb->Count(), 3);
  lb->SetCount(2);
  EXPECT_EQ(lb->Count(), 2);
  // The default drawing takes the text from OnData: the row of "alpha" has dark pixels.
  Clock().Advance(1000);
  lb->Repaint();
  const TRect row = lb->ItemRect(0);
  int dark = 0;
  for (int x = row.Left; x < row.Left + 40; ++x)
    for (int y = row.Top; y < row.Bottom; ++y) {
      POINT p = Screen(lb, x, y);
      ScreenToClient(form->Handle(), &p);
      if ((ClientPixel(form, p.X, p.Y) & 0xFF) < 0x80) ++dark;
    }
  EXPECT_GT(dark, 5);
}

}  // namespace
}  // namespace qd::testing
