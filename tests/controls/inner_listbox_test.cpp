// The inner list box: incremental search on the virtual clock, keys passed on to the
// container, the library scroll bars laid over the system bars, and the size grip.
#include <gtest/gtest.h>

#include <vector>

#include "controls/container_test_util.h"
#include "platform/os/gdi.h"
#include "ui/controls/cxInnerListBox.h"

namespace qd::testing {
namespace {

class InnerListBox : public ContainerTest {
 protected:
  void SetUp() override {
    ContainerTest::SetUp();
    form = NewPlainForm(220, 160);
    container = new TcxContainer(form);
    container->Style()->LookAndFeel()->SetKind(lfUltraFlat);
    container->Style()->LookAndFeel()->SetNativeStyle(false);
    container->SetParent(form);
    container->SetBounds(10, 10, 150, 100);
    list = new TcxInnerListBox(container);
    list->SetParent(container);
    list->SetContainer(container);
    list->LookAndFeel()->SetKind(lfUltraFlat);
    list->LookAndFeel()->SetNativeStyle(false);
    container->SetInnerControl(list);
  }
  void ShowForm() {
    form->Show();
    Application->ProcessMessages();
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  }
  void AddItems(std::initializer_list<const char16_t*> AItems) {
    for (const char16_t* s : AItems) list->Items()->Add(s);
  }
  void AddNumberedItems(int ACount) {
    for (int i = 0; i < ACount; ++i) list->Items()->Add(u"Item " + IntToStr(i));
  }
  void Type(Char C) { SendMessageW(list->Handle(), WM_CHAR, C, 0); }
  void Press(WORD Key) {
    SendMessageW(list->Handle(), WM_KEYDOWN, Key, 0);
    SendMessageW(list->Handle(), WM_KEYUP, Key, 0);
  }
  // A window rectangle in the client coordinates of the container.
  TRect InContainer(const TRect& AScreen) {
    const TPoint tl = container->ScreenToClient(AScreen.TopLeft());
    return Bounds(tl.X, tl.Y, AScreen.Width(), AScreen.Height());
  }
  TRect SystemBarRect(LONG AObject) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    EXPECT_TRUE(GetScrollBarInfo(list->Handle(), AObject, &info));
    return InContainer(info.rcScrollBar);
  }

 public:
  // Event handlers that record what reached them.
  void ContainerClick(TObject*) { ++containerClicks; }
  void ContainerKeyDown(TObject*, WORD& Key, TShiftState) {
    containerDown.push_back(Key);
    if (consumeDown && Key == VK_DOWN) Key = 0;
  }
  void ContainerKeyPress(TObject*, Char& Key) { containerChars.push_back(Key); }
  void ListKeyPress(TObject*, Char& Key) { listChars.push_back(Key); }
  void ContainerMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
    containerMouse.push_back({X, Y});
  }

  TForm* form = nullptr;
  TcxContainer* container = nullptr;
  TcxInnerListBox* list = nullptr;
  int containerClicks = 0;
  std::vector<WORD> containerDown;
  std::vector<Char> containerChars, listChars;
  bool consumeDown = false;
  std::vector<TPoint> containerMouse;
};

TEST_F(InnerListBox, TypedTextSearchesTheItemsUntilAPause) {
  AddItems({u"apple", u"abacus", u"Abc", u"banana", u"berry"});
  ShowForm();
  container->OnClick = TNotifyEvent(this, &InnerListBox::ContainerClick);
  Type(u'a');
  EXPECT_EQ(list->ItemIndex(), 0);
  Clock().Advance(100);
  Type(u'b');
  EXPECT_EQ(list->AutoCompleteFilter(), u"ab");
  EXPECT_EQ(list->ItemIndex(), 1);
  Clock().Advance(100);
  Type(u'c');  // the search ignores case: "Abc"
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(containerClicks, 3);
  // No match: the selection stays.
  Clock().Advance(100);
  Type(u'z');
  EXPECT_EQ(list->ItemIndex(), 2);
  // After a pause of the delay, the filter starts again.
  Clock().Advance(list->AutoCompleteDelay());
  Type(u'b');
  EXPECT_EQ(list->AutoCompleteFilter(), u"b");
  EXPECT_EQ(list->ItemIndex(), 3);
  Clock().Advance(100);
  Type(u'e');
  EXPECT_EQ(list->ItemIndex(), 4);
  // Backspace shortens the filter; emptied, it selects the first item.
  Clock().Advance(100);
  Type(u'\b');
  EXPECT_EQ(list->AutoCompleteFilter(), u"b");
  EXPECT_EQ(list->ItemIndex(), 3);
  Clock().Advance(100);
  Type(u'\b');
  EXPECT_EQ(list->AutoCompleteFilter(), u"");
  EXPECT_EQ(list->ItemIndex(), 0);
}

TEST_F(InnerListBox, AutoCompleteOffLeavesTheSelectionToTheSystemList) {
  AddItems({u"apple", u"banana"});
  list->SetAutoComplete(false);
  ShowForm();
  list->SetItemIndex(1);
  Type(u'a');
  EXPECT_EQ(list->AutoCompleteFilter(), u"");
}

TEST_F(InnerListBox, AnAstralCharacterIsSearchedAndRemovedWhole) {
  AddItems({u"plain", u"\U0001F600 smile", u"\U0001F600x"});
  ShowForm();
  PostMessageW(list->Handle(), WM_CHAR, 0xDE00, 0);  // the low half waits in the queue
  Type(0xD83D);
  EXPECT_EQ(list->AutoCompleteFilter(), u"\U0001F600");
  EXPECT_EQ(list->ItemIndex(), 1);
  MSG msg{};
  EXPECT_FALSE(PeekMessageW(&msg, list->Handle(), WM_CHAR, WM_CHAR, PM_NOREMOVE));
  Type(u'x');
  EXPECT_EQ(list->ItemIndex(), 2);
  Type(u'\b');
  Type(u'\b');
  EXPECT_EQ(list->AutoCompleteFilter(), u"");
}

TEST_F(InnerListBox, KeysGoToTheContainerFirst) {
  AddNumberedItems(5);
  ShowForm();
  list->SetItemIndex(0);
  consumeDown = true;
  container->OnKeyDown = TKeyEvent(this, &InnerListBox::ContainerKeyDown);
  container->OnKeyPress = TKeyPressEvent(this, &InnerListBox::ContainerKeyPress);
  list->OnKeyPress = TKeyPressEvent(this, &InnerListBox::ListKeyPress);

  // The container consumes the key: the list does not move.
  Press(VK_DOWN);
  EXPECT_EQ(containerDown, std::vector<WORD>{VK_DOWN});
  EXPECT_EQ(list->ItemIndex(), 0);
  consumeDown = false;
  Press(VK_DOWN);
  EXPECT_EQ(list->ItemIndex(), 1);

  // Enter reaches the container but not the list box; Tab reaches neither key-press handler.
  Type(u'\r');
  Type(u'\t');
  Type(u'I');
  EXPECT_EQ(containerChars, (std::vector<Char>{u'\r', u'I'}));
  EXPECT_EQ(listChars, std::vector<Char>{u'I'});
  // Tab and typed characters are wanted in a container.
  const LRESULT code = SendMessageW(list->Handle(), WM_GETDLGCODE, 0, 0);
  EXPECT_TRUE(code & DLGC_WANTCHARS);
  EXPECT_TRUE(code & DLGC_WANTTAB);
}

TEST_F(InnerListBox, APressOnTheListReachesTheContainerInItsCoordinates) {
  AddNumberedItems(5);
  ShowForm();
  container->OnMouseDown = TMouseEvent(this, &InnerListBox::ContainerMouseDown);
  const int y = list->ItemRect(2).Top + 2;
  SendMessageW(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, y));
  SendMessageW(list->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, y));
  EXPECT_EQ(list->ItemIndex(), 2);
  ASSERT_EQ(containerMouse.size(), 1u);
  EXPECT_EQ(containerMouse[0], (TPoint{list->Left() + 5, list->Top() + y}));
  // The context menu is the container's.
  auto* menu = new TPopupMenu(form);
  container->SetPopupMenu(menu);
  EXPECT_EQ(list->GetPopupMenu(), menu);
}

TEST_F(InnerListBox, FocusOfTheListIsTheContainersFocus) {
  AddNumberedItems(3);
  ShowForm();
  SetFocus(list->Handle());
  Application->ProcessMessages();
  EXPECT_TRUE(container->ViewInfo()->ContainerState.Contains(csActive));
  SetFocus(form->Handle());
  Application->ProcessMessages();
  EXPECT_FALSE(container->ViewInfo()->ContainerState.Contains(csActive));
}

TEST_F(InnerListBox, TheLibraryBarsCoverTheSystemBarsAndScrollTheList) {
  AddNumberedItems(40);
  ShowForm();
  TcxScrollBar* vbar = list->VScrollBar();
  ASSERT_TRUE(vbar->Visible());
  EXPECT_FALSE(list->HScrollBar()->Visible());
  EXPECT_EQ(vbar->Parent(), container);
  EXPECT_EQ(vbar->BoundsRect(), SystemBarRect(OBJID_VSCROLL));
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(list->Handle(), SB_VERT, &si));
  EXPECT_EQ(vbar->Max(), si.nMax);
  EXPECT_EQ(vbar->PageSize(), static_cast<int>(si.nPage));

  // The list scrolled by code moves the library bar.
  list->SetTopIndex(10);
  EXPECT_EQ(vbar->Position(), 10);
  // The library bar scrolls the list and answers the list's position.
  int pos = 20;
  list->Scroll(sbVertical, scPosition, pos);
  EXPECT_EQ(list->TopIndex(), 20);
  EXPECT_EQ(pos, 20);
  pos = 0;
  list->Scroll(sbVertical, scPageUp, pos);
  EXPECT_LT(list->TopIndex(), 20);
  EXPECT_EQ(pos, list->TopIndex());
  // A press on the library bar's lower arrow scrolls down (repeating while held).
  const int top = list->TopIndex();
  const TPoint arrow{vbar->Width() / 2, vbar->Height() - 3};
  SendMessageW(vbar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(arrow.X, arrow.Y));
  SendMessageW(vbar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(arrow.X, arrow.Y));
  EXPECT_GT(list->TopIndex(), top);
  EXPECT_EQ(vbar->Position(), list->TopIndex());
}

TEST_F(InnerListBox, ABarOutsideTheParentIsHiddenWithEmptyBounds) {
  AddNumberedItems(40);
  ShowForm();
  ASSERT_TRUE(list->VScrollBar()->Visible());
  // The list box is moved so far right that its vertical bar leaves the container.
  container->LockAlignControls(true);
  list->SetBounds(list->Left() + 140, list->Top(), list->Width(), list->Height());
  list->SetExternalScrollBarsParameters();
  EXPECT_FALSE(list->VScrollBar()->Visible());
  EXPECT_EQ(list->VScrollBar()->BoundsRect(), TRect{});
  container->LockAlignControls(false);
}

TEST_F(InnerListBox, TheSizeGripFillsTheCornerBetweenTheBars) {
  AddNumberedItems(40);
  list->SetScrollWidth(400);
  ShowForm();
  ASSERT_TRUE(list->IsSizeGripVisible());
  TcxScrollBar* h = list->HScrollBar();
  TcxScrollBar* v = list->VScrollBar();
  EXPECT_EQ(h->BoundsRect(), SystemBarRect(OBJID_HSCROLL));
  EXPECT_EQ(v->BoundsRect(), SystemBarRect(OBJID_VSCROLL));
  // The grip, relative to the list box window, sits right of the horizontal bar and below the vertical one.
  const TRect grip = list->GetSizeGripRect();
  const TPoint listTopLeft = container->ScreenToClient(list->ClientToScreen(TPoint{0, 0}));
  EXPECT_EQ(grip, Bounds(v->Left() - listTopLeft.X, h->Top() - listTopLeft.Y, v->Width(), h->Height()));
  SaveWindowPng(form->Handle(), "inner_listbox");
  const COLORREF c = ColorToRGB(list->LookAndFeel()->Painter()->DefaultSizeGripAreaColor());
  const uint32_t expected = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
  const TPoint formPoint = form->ScreenToClient(list->ClientToScreen(grip.TopLeft()));
  const os::WindowPixels px = os::ReadWindowPixels(form->Handle(), true);
  EXPECT_EQ(px.At(formPoint.X + grip.Width() / 2, formPoint.Y + grip.Height() / 2) & 0xFFFFFF, expected);
  // Without the horizontal bar there is no grip.
  list->SetScrollWidth(0);
  list->SetExternalScrollBarsParameters();
  EXPECT_FALSE(list->IsSizeGripVisible());
  EXPECT_EQ(list->GetSizeGripRect(), TRect{});
}

}  // namespace
}  // namespace qd::testing
