// The inner list box: incremental search on the virtual clock, keys passed on to the
// container, the library scroll bars laid over the system bars, and the size grip.
#include <gtest/gtest.h>

#include <vector>

#include "controls/container_test_util.h"
#include "platform/os/gdi.h"
#include "platform/os/modules.h"
#include "platform/os/user_display.h"
#include "platform/os/user_listbox.h"
#include "ui/controls/cxControlScrollBars.h"
#include "ui/controls/cxInnerListBox.h"
#include "ui/core/dxDPIAwareUtils.h"

namespace qd::testing {
namespace {

// A container that mirrors its inner control's scroll bars itself, as a memo does.
class TMirroringContainer : public TcxContainer {
 public:
  using TcxContainer::TcxContainer;
  bool NeedsScrollBars() override { return true; }
};

class InnerListBox : public ContainerTest {
 protected:
  void SetUp() override {
    ContainerTest::SetUp();
    form = NewPlainForm(220, 160);
    container = mirroring ? new TMirroringContainer(form) : new TcxContainer(form);
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

  bool mirroring = false;
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

TEST_F(InnerListBox, VirtualListSearchesThroughItsFindEvent) {
  struct Data {
    std::vector<String> items{u"alpha", u"beta", u"bravo", u"charlie"};
    std::vector<String> asked;
    void Get(TWinControl*, int Index, String& S) { S = items[static_cast<size_t>(Index)]; }
    int Find(TWinControl*, const String& S) {
      asked.push_back(S);
      for (size_t i = 0; i < items.size(); ++i)
        if (items[i].starts_with(S)) return static_cast<int>(i);
      return -1;
    }
  } data;
  list->SetStyle(lbVirtual);
  list->OnData = TLBGetDataEvent(&data, &Data::Get);
  list->OnDataFind = TLBFindDataEvent(&data, &Data::Find);
  list->SetCount(4);
  ShowForm();
  Type(u'b');
  Clock().Advance(50);
  Type(u'r');
  EXPECT_EQ(data.asked, (std::vector<String>{u"b", u"br"}));
  EXPECT_EQ(list->ItemIndex(), 2);
}

TEST_F(InnerListBox, SearchInAMultiSelectListSelectsOnlyTheFoundItem) {
  AddItems({u"apple", u"banana", u"cherry", u"date"});
  list->SetMultiSelect(true);
  ShowForm();
  list->SetSelected(0, true);
  list->SetSelected(3, true);
  Type(u'c');
  EXPECT_EQ(list->SelCount(), 1);
  EXPECT_TRUE(list->Selected(2));
  EXPECT_EQ(list->ItemIndex(), 2);
}

TEST_F(InnerListBox, PrintingTheFrameDrawsTheSizeGrip) {
  AddNumberedItems(40);
  list->SetScrollWidth(400);
  ShowForm();
  ASSERT_TRUE(list->IsSizeGripVisible());
  const TRect grip = list->GetSizeGripRect();
  const TPoint formPoint = form->ScreenToClient(list->ClientToScreen(grip.TopLeft()));
  const TPoint centre{formPoint.X + grip.Width() / 2, formPoint.Y + grip.Height() / 2};
  // Paint the corner over, then let WM_PRINT with the frame restore it.
  HDC dc = GetWindowDC(list->Handle());
  RECT r = grip;
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ReleaseDC(list->Handle(), dc);
  ASSERT_EQ(os::ReadWindowPixels(form->Handle(), true).At(centre.X, centre.Y) & 0xFFFFFF, 0u);
  HDC memory = CreateCompatibleDC(nullptr);
  SendMessageW(list->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(memory), PRF_NONCLIENT);
  DeleteDC(memory);
  EXPECT_NE(os::ReadWindowPixels(form->Handle(), true).At(centre.X, centre.Y) & 0xFFFFFF, 0u);
}

TEST_F(InnerListBox, FloatingBarsKeepTheSystemBarsInPlace) {
  struct TFloatingBarsContainer : TcxContainer {
    using TcxContainer::TcxContainer;
    bool IsPopupScrollBars() override { return true; }
  };
  auto* floating = new TFloatingBarsContainer(form);
  floating->SetParent(form);
  floating->SetBounds(10, 115, 150, 40);
  auto* floatingList = new TcxInnerListBox(floating);
  floatingList->SetParent(floating);
  floatingList->SetContainer(floating);
  floating->SetInnerControl(floatingList);
  ShowForm();
  EXPECT_TRUE(GetWindowLongW(floatingList->Handle(), GWL_STYLE) & LBS_DISABLENOSCROLL);
  EXPECT_FALSE(GetWindowLongW(list->Handle(), GWL_STYLE) & LBS_DISABLENOSCROLL);
}

class MirroredInnerListBox : public InnerListBox {
 protected:
  void SetUp() override {
    mirroring = true;
    InnerListBox::SetUp();
  }
};

TEST_F(MirroredInnerListBox, TheContainersBarsMirrorTheSystemBarsAndTheGripIsPainted) {
  AddNumberedItems(40);
  list->SetScrollWidth(400);
  ShowForm();
  TcxScrollBar* h = container->HScrollBar();
  TcxScrollBar* v = container->VScrollBar();
  // The container's own bars cover the system bars; the list box's stay hidden.
  ASSERT_TRUE(h->Visible());
  ASSERT_TRUE(v->Visible());
  EXPECT_FALSE(list->HScrollBar()->Visible());
  EXPECT_FALSE(list->VScrollBar()->Visible());
  EXPECT_EQ(h->BoundsRect(), SystemBarRect(OBJID_HSCROLL));
  EXPECT_EQ(v->BoundsRect(), SystemBarRect(OBJID_VSCROLL));
  EXPECT_EQ(container->GetScrollBarHandle(sbVertical), v->Handle());
  SCROLLINFO si{};
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(list->Handle(), SB_VERT, &si));
  EXPECT_EQ(v->Max(), si.nMax);
  EXPECT_EQ(v->PageSize(), static_cast<int>(si.nPage));
  // Scrolling the list moves the mirror.
  list->SetTopIndex(12);
  EXPECT_EQ(v->Position(), 12);
  // The grip between them, in the list box's window coordinates, in the painter's colour.
  const TcxContainerSizeGripData& grip = container->SizeGripData();
  ASSERT_TRUE(grip.Visible);
  const TPoint listOrigin = container->ScreenToClient(list->ClientToScreen(TPoint{0, 0}));
  EXPECT_EQ(grip.Bounds, Bounds(v->Left() - listOrigin.X, h->Top() - listOrigin.Y, v->Width(), h->Height()));
  EXPECT_EQ(GetSizeGripRect(container), grip.Bounds);
  RedrawWindow(form->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  SaveWindowPng(form->Handle(), "container_mirrored_bars");
  // The frame's repaint fills the corner again after something painted over it.
  HDC dc = GetWindowDC(list->Handle());
  RECT blacked = grip.Bounds;
  FillRect(dc, &blacked, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ReleaseDC(list->Handle(), dc);
  SendMessageW(list->Handle(), WM_NCPAINT, 1, 0);
  const COLORREF c = ColorToRGB(container->Style()->LookAndFeel()->Painter()->DefaultSizeGripAreaColor());
  const uint32_t expected = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
  const TPoint at = form->ScreenToClient(list->ClientToScreen(grip.Bounds.TopLeft()));
  const os::WindowPixels px = os::ReadWindowPixels(form->Handle(), true);
  EXPECT_EQ(px.At(at.X + grip.Bounds.Width() / 2, at.Y + grip.Bounds.Height() / 2) & 0xFFFFFF, expected);
  // A disabled container disables its mirrors.
  container->SetEnabled(false);
  EXPECT_FALSE(v->Enabled());
  container->SetScrollBarsParameters(false);
  EXPECT_FALSE(v->Enabled());
  // Without the horizontal bar, neither it nor the grip remain; a recalculation can also be
  // asked for through the queue.
  container->SetEnabled(true);
  list->SetScrollWidth(0);
  container->UpdateScrollBarsParameters();
  MSG queued{};
  EXPECT_TRUE(
      PeekMessageW(&queued, container->Handle(), CM_UPDATESCROLLBARS, CM_UPDATESCROLLBARS, PM_NOREMOVE));
  Application->ProcessMessages();
  EXPECT_FALSE(h->Visible());
  EXPECT_TRUE(v->Visible());
  EXPECT_FALSE(container->SizeGripData().Visible);
}

TEST_F(MirroredInnerListBox, WithoutGetScrollBarInfoNothingIsMirrored) {
  os::ScopedModuleTable table;
  os::RemoveExport("user32.dll", "GetScrollBarInfo");
  SetUsecxScrollBars();
  EXPECT_FALSE(UsecxScrollBars());
  AddNumberedItems(40);
  ShowForm();
  EXPECT_FALSE(container->VScrollBar()->Visible());
  EXPECT_FALSE(list->VScrollBar()->Visible());
  SCROLLBARINFO info{};
  EXPECT_FALSE(cxGetScrollBarInfo(list->Handle(), OBJID_VSCROLL, info));
}

TEST_F(MirroredInnerListBox, BarsFollowTheDpi) {
  AddNumberedItems(40);
  // A process that does not scale per monitor: the mirror takes the system scale factor.
  dxDPIAwareUtils::Finalize();
  os::SetSystemDpi(144);
  os::SetProcessDpiAwarenessForTesting(DPI_AWARENESS_CONTEXT_SYSTEM_AWARE);
  dxDPIAwareUtils::Initialize();
  ShowForm();
  TcxScrollBar* v = container->VScrollBar();
  ASSERT_TRUE(v->Visible());
  EXPECT_EQ(v->GetScaleFactor()->Numerator(), 3);
  EXPECT_EQ(v->GetScaleFactor()->Denominator(), 2);
  // Per monitor: the bar's thickness comes from the control's scale factor.
  dxDPIAwareUtils::Finalize();
  os::SetProcessDpiAwarenessForTesting(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  dxDPIAwareUtils::Initialize();
  TdxScaleFactor twice;
  twice.Assign(2, 1, false);
  SCROLLBARINFO plain{}, scaled{}, mirrored{};
  ASSERT_TRUE(cxGetScrollBarInfo(list->Handle(), OBJID_VSCROLL, plain));
  ASSERT_TRUE(cxGetScrollBarInfo(list->Handle(), OBJID_VSCROLL, scaled, false, &twice));
  ASSERT_TRUE(cxGetScrollBarInfo(list->Handle(), OBJID_VSCROLL, mirrored, true, &twice));
  const int width = dxGetSystemMetrics(SM_CXVSCROLL, &twice);
  EXPECT_EQ(scaled.rcScrollBar, (TRect{plain.rcScrollBar.Left, plain.rcScrollBar.Top,
                                       plain.rcScrollBar.Left + width, plain.rcScrollBar.Bottom}));
  EXPECT_EQ(mirrored.rcScrollBar, (TRect{plain.rcScrollBar.Right - width, plain.rcScrollBar.Top,
                                         plain.rcScrollBar.Right, plain.rcScrollBar.Bottom}));
  os::SetSystemDpi(96);
  dxDPIAwareUtils::Finalize();
  dxDPIAwareUtils::Initialize();
}

// An inner control with its own vertical system bar whose range starts above 0.
class TScrolledInner : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  void CreateParams(TCreateParams& Params) override {
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_VSCROLL;
  }
};

TEST_F(MirroredInnerListBox, ARangeAboveZeroWithAPageAsLargeAsTheRangeIsMirrored) {
  auto* inner = new TScrolledInner(container);
  inner->SetParent(container);
  container->SetInnerControl(inner);
  list->SetParent(nullptr);
  ShowForm();
  SCROLLINFO si{};
  si.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
  si.nMin = 10;
  si.nMax = 50;
  si.nPage = 41;  // everything fits
  si.nPos = 10;
  SetScrollInfo(inner->Handle(), SB_VERT, &si, TRUE);
  EXPECT_NO_THROW(container->SetScrollBarsParameters(false));
  TcxScrollBar* v = container->VScrollBar();
  ASSERT_TRUE(v->Visible());
  EXPECT_EQ(v->Min(), 10);
  EXPECT_EQ(v->Max(), 50);
  EXPECT_EQ(v->PageSize(), 40);
}

}  // namespace
}  // namespace qd::testing
