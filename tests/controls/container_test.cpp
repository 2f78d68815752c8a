// The container control: its states drawn by the view info, frame-only invalidation, the
// window region with transparent borders and shadows, keys and long captions.
#include <gtest/gtest.h>

#include <memory>

#include "controls/container_test_util.h"
#include "platform/os/gdi.h"
#include "ui/controls/cxContainerPopup.h"

namespace qd::testing {
namespace {

// Key handling is reached directly (a dialog would call it from the key message).
class TTestContainer : public TcxContainer {
 public:
  using TcxContainer::KeyDown;
  using TcxContainer::TcxContainer;
};

class Container : public ContainerTest {
 protected:
  void SetUp() override {
    ContainerTest::SetUp();
    form = NewPlainForm(200, 100);
    container = new TTestContainer(form);
    container->Style()->LookAndFeel()->SetKind(lfUltraFlat);
    container->Style()->LookAndFeel()->SetNativeStyle(false);
    container->SetParent(form);
    container->SetBounds(10, 10, 100, 30);
  }
  void ShowForm() {
    form->Show();
    Application->ProcessMessages();
    Repaint();
  }
  void Unfocus() {
    SetFocus(form->Handle());
    Application->ProcessMessages();
    Repaint();
  }
  void Repaint() {
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  // A pixel of the form, relative to the container's top-left corner, as 0xRRGGBB.
  uint32_t Rgb(int X, int Y) {
    return os::ReadWindowPixels(form->Handle(), true).At(10 + X, 10 + Y) & 0xFFFFFF;
  }
  static uint32_t ExpectedRgb(TColor AColor) {
    const COLORREF c = ColorToRGB(AColor);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
  }
  // Hot tracking as a mouse move without buttons at P would give it.
  void HoverAt(const TPoint& P) { container->RefreshContainer(P, cxmbNone, TShiftState{}, true); }

  TForm* form = nullptr;
  TTestContainer* container = nullptr;
};

TEST_F(Container, UltraFlatStatesAreDrawnWithTheirBorderAndBackgroundColours) {
  ShowForm();
  ASSERT_TRUE(container->IsViewInfoCalculated());
  // The form focuses its first tab stop: the focused style highlights the border.
  ASSERT_TRUE(container->Focused());
  EXPECT_EQ(container->ViewInfo()->ContainerState, TcxContainerState{csActive});
  EXPECT_EQ(Rgb(1, 1), ExpectedRgb(clHighlight));
  SaveWindowPng(form->Handle(), "container_focused");
  Unfocus();
  EXPECT_EQ(container->ViewInfo()->ContainerState, TcxContainerState{csNormal});
  // The transparent border leaves the outer ring to the form; the one-pixel line sits inside.
  EXPECT_EQ(container->ViewInfo()->BorderStyle, cbsSingle);
  EXPECT_EQ(Rgb(0, 0), 0xFFFFFFu);
  EXPECT_EQ(Rgb(1, 1), ExpectedRgb(clBtnShadow));
  EXPECT_EQ(Rgb(50, 1), ExpectedRgb(clBtnShadow));
  EXPECT_EQ(Rgb(98, 28), ExpectedRgb(clBtnShadow));
  EXPECT_EQ(Rgb(50, 15), ExpectedRgb(clWindow));
  SaveWindowPng(form->Handle(), "container_idle");

  HoverAt(TPoint{50, 15});
  Repaint();
  EXPECT_TRUE(container->ViewInfo()->ContainerState.Contains(csHotTrack));
  EXPECT_EQ(container->ViewInfo()->HotState, chsSelected);
  EXPECT_EQ(Rgb(1, 1), ExpectedRgb(clHighlight));
  EXPECT_EQ(Rgb(50, 15), ExpectedRgb(clWindow));
  SaveWindowPng(form->Handle(), "container_hot");

  // A mouse with a button down does not make it hot.
  container->RefreshContainer(TPoint{50, 15}, cxmbLeft, TShiftState{ssLeft}, true);
  EXPECT_FALSE(container->ViewInfo()->ContainerState.Contains(csHotTrack));

  container->SetEnabled(false);
  HoverAt(TPoint{50, 15});
  Repaint();
  EXPECT_EQ(container->ViewInfo()->ContainerState, TcxContainerState{csDisabled});
  EXPECT_EQ(Rgb(1, 1), ExpectedRgb(clBtnShadow));
  EXPECT_EQ(Rgb(50, 15), ExpectedRgb(clBtnFace));
  SaveWindowPng(form->Handle(), "container_disabled");
}

TEST_F(Container, HotTrackingStopsAtTheTransparentRingAndWhenTurnedOff) {
  ShowForm();
  // The outermost pixel ring is outside the visible bounds; the border line is inside.
  HoverAt(TPoint{0, 0});
  EXPECT_FALSE(container->ViewInfo()->ContainerState.Contains(csHotTrack));
  HoverAt(TPoint{1, 1});
  EXPECT_TRUE(container->ViewInfo()->ContainerState.Contains(csHotTrack));
  HoverAt(TPoint{99, 29});
  EXPECT_FALSE(container->ViewInfo()->ContainerState.Contains(csHotTrack));

  container->Style()->SetHotTrack(false);
  HoverAt(TPoint{50, 15});
  EXPECT_FALSE(container->ViewInfo()->ContainerState.Contains(csHotTrack));
  EXPECT_EQ(container->ViewInfo()->HotState, chsNoHotTrack);
}

TEST_F(Container, ARefreshInvalidatesOnlyTheFrameAroundAnInnerControl) {
  ShowForm();
  auto rectInUpdate = [&](int X, int Y) {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(container->Handle(), rgn, FALSE);
    const bool in = PtInRegion(rgn, X, Y);
    DeleteObject(rgn);
    return in;
  };
  ValidateRect(container->Handle(), nullptr);
  container->ShortRefreshContainer(false);
  EXPECT_TRUE(rectInUpdate(50, 15));  // without an inner control, everything

  auto* inner = new TEdit(form);
  inner->SetParent(container);
  container->SetInnerControl(inner);
  container->ShortRefreshContainer(false);
  Application->ProcessMessages();
  // The inner control fills the client area inside the border.
  EXPECT_EQ(inner->BoundsRect(), container->ViewInfo()->ClientRect);
  EXPECT_EQ(container->ViewInfo()->ClientRect, (TRect{2, 2, 98, 28}));
  ValidateRect(container->Handle(), nullptr);
  container->ShortRefreshContainer(false);
  EXPECT_FALSE(rectInUpdate(50, 15));
  EXPECT_TRUE(rectInUpdate(1, 1));
  EXPECT_TRUE(rectInUpdate(99, 15));
  // Its removal clears the link.
  delete inner;
  EXPECT_EQ(container->InnerControl(), nullptr);
}

TEST_F(Container, AShadowWidensTheExtentAndTheWindowRegion) {
  ShowForm();
  EXPECT_EQ(container->GetBorderExtent(), (TRect{2, 2, 2, 2}));
  container->Style()->SetShadow(true);
  Unfocus();
  EXPECT_EQ(container->GetBorderExtent(), (TRect{2, 2, 5, 5}));
  EXPECT_EQ(container->GetShadowBounds(), (TRect{1, 1, 96, 26}));
  EXPECT_EQ(container->GetVisibleBounds(), (TRect{1, 1, 96, 26}));
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(container->Handle(), rgn), ERROR);
  EXPECT_TRUE(PtInRegion(rgn, 1, 1));
  EXPECT_FALSE(PtInRegion(rgn, 0, 0));
  // The strips below and to the right, three pixels wide and moved by three.
  EXPECT_TRUE(PtInRegion(rgn, 97, 10));
  EXPECT_TRUE(PtInRegion(rgn, 50, 28));
  EXPECT_FALSE(PtInRegion(rgn, 97, 2));
  EXPECT_FALSE(PtInRegion(rgn, 2, 28));
  EXPECT_FALSE(PtInRegion(rgn, 99, 29));
  DeleteObject(rgn);
  Repaint();
  SaveWindowPng(form->Handle(), "container_shadow");
  EXPECT_EQ(Rgb(97, 10), ExpectedRgb(cxContainerShadowColor));
  EXPECT_EQ(Rgb(50, 27), ExpectedRgb(cxContainerShadowColor));
  EXPECT_EQ(Rgb(95, 10), ExpectedRgb(clBtnShadow));  // the border's right line
  EXPECT_EQ(Rgb(97, 2), 0xFFFFFFu);
}

TEST_F(Container, TabMovesTheFocusOnUnlessCtrlOrAltIsHeld) {
  auto* next = new TcxContainer(form);
  next->SetParent(form);
  next->SetBounds(10, 50, 100, 30);
  ShowForm();
  container->SetFocus();
  ASSERT_TRUE(container->Focused());
  EXPECT_TRUE(container->ViewInfo()->ContainerState.Contains(csActive));
  for (const TShiftState shift : {TShiftState{ssCtrl}, TShiftState{ssAlt}}) {
    WORD key = VK_TAB;
    container->KeyDown(key, shift);
    EXPECT_EQ(key, VK_TAB);
    EXPECT_TRUE(container->Focused());
  }
  WORD key = VK_TAB;
  container->KeyDown(key, TShiftState{});
  EXPECT_EQ(key, 0);
  EXPECT_TRUE(next->Focused());
  EXPECT_FALSE(container->Focused());
}

TEST_F(Container, FocusAndKeysGoToTheInnerControl) {
  auto* inner = new TEdit(form);
  inner->SetParent(container);
  container->SetInnerControl(inner);
  ShowForm();
  container->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(GetFocus(), inner->Handle());
  EXPECT_TRUE(container->Focused());
  EXPECT_TRUE(container->ViewInfo()->ContainerState.Contains(csActive));
  EXPECT_FALSE(container->MayFocus());
  // Keys sent to the container reach the inner control's window.
  SendMessageW(container->Handle(), WM_CHAR, u'q', 0);
  EXPECT_EQ(inner->Text(), u"q");
  // The inner control takes the state's colours, and the container's cursor.
  EXPECT_EQ(inner->Color(), container->ViewInfo()->BackgroundColor());
  container->SetCursor(crHandPoint);
  EXPECT_EQ(inner->Cursor(), crHandPoint);
}

TEST_F(Container, AVeryLongCaptionReachesTheWindow) {
  String caption(70000, u'x');
  container->SetCaption(caption);
  form->Show();
  Application->ProcessMessages();
  ASSERT_TRUE(container->HandleAllocated());
  EXPECT_EQ(GetWindowTextLengthW(container->Handle()), 70000);
  EXPECT_EQ(container->Caption(), caption);
}

TEST_F(Container, TheInnerControlTakesTheContainersPlaceInTheTabOrderWhileActive) {
  auto* before = new TEdit(form);
  before->SetParent(form);
  before->SetBounds(120, 10, 60, 20);
  before->SetTabOrder(0);
  auto* inner = new TEdit(form);
  inner->SetParent(container);
  container->SetInnerControl(inner);
  ShowForm();
  std::vector<TWinControl*> list;
  before->SetFocus();
  form->GetTabOrderList(list);
  EXPECT_EQ(list, (std::vector<TWinControl*>{before, container}));
  container->SetFocus();
  Application->ProcessMessages();
  ASSERT_EQ(form->ActiveControl(), inner);
  list.clear();
  form->GetTabOrderList(list);
  EXPECT_EQ(list, (std::vector<TWinControl*>{before, inner}));
}

TEST_F(Container, ASizeChangeKeepsTheAlignedEdge) {
  struct Case {
    TAlign align;
    TRect expected;  // in the form, after the size becomes 60 x 20
  };
  const Case cases[] = {
      {alRight, TRect{140, 0, 200, 20}},
      {alBottom, TRect{0, 80, 60, 100}},
      {alNone, TRect{10, 10, 70, 30}},
  };
  ShowForm();
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.align));
    container->SetAlign(alNone);
    container->SetBounds(10, 10, 100, 30);
    container->SetAlign(c.align);
    Application->ProcessMessages();
    // A size change from outside the alignment, as the system's own resizing does.
    SetWindowPos(container->Handle(), nullptr, 0, 0, 60, 20, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(cxGetWindowRect(container->Handle()), cxRectOffset(c.expected, 100, 100));
  }
}

TEST_F(Container, HintsShowOnlyForTheControlUnderTheMouseOfAnActiveFormOrOfAnOpenPopup) {
  cxContainerPopup::Initialize();
  ShowForm();
  const TPoint over = cxRectCenter(cxGetWindowRect(container->Handle()));
  os::InjectMouseMove(over);
  Application->ProcessMessages();
  ASSERT_TRUE(form->Active());
  EXPECT_TRUE(cxCanShowHint(container));
  // Not the control under the mouse.
  os::InjectMouseMove(TPoint{over.X + 200, over.Y});
  Application->ProcessMessages();
  EXPECT_FALSE(cxCanShowHint(container));
  os::InjectMouseMove(over);
  Application->ProcessMessages();
  // Another form of the application is active: only while a popup opened from this form shows.
  TForm* other = NewPlainForm(50, 50);
  other->SetBounds(600, 600, 50, 50);
  other->Show();
  Application->ProcessMessages();
  ASSERT_FALSE(form->Active());
  EXPECT_FALSE(cxCanShowHint(container));
  auto* popup = new TcxCustomPopupWindow(container);
  popup->AfterConstruction();
  popup->SetAdjustable(false);
  popup->SetBounds(0, 0, 40, 30);
  popup->SetModalMode(false);
  popup->SetOwnerBounds(cxGetWindowRect(container->Handle()));
  popup->Popup(nullptr);
  ASSERT_TRUE(popup->IsVisible());
  ASSERT_FALSE(form->Active());
  EXPECT_TRUE(cxCanShowHint(container));
  popup->CloseUp();
  delete popup;
  cxContainerPopup::Finalize();
}

TEST_F(Container, PendingGlassPrintsAreHandledBeforeTheWindowGoes) {
  struct TPrintCounter : TcxContainer {
    using TcxContainer::TcxContainer;
    int Prints = 0;
    void WndProc(TMessage& Message) override {
      if (Message.Msg == WM_DXDEFERREDPRINTCLIENT) ++Prints;
      TcxContainer::WndProc(Message);
    }
  };
  auto* glass = new TPrintCounter(form);
  glass->SetParent(form);
  glass->SetBounds(10, 50, 100, 30);
  ShowForm();
  glass->SetControlState(glass->ControlState() + TControlState{csGlassPaint});
  PostMessageW(glass->Handle(), WM_DXDEFERREDPRINTCLIENT, 0, 0);
  glass->RecreateWnd();
  EXPECT_EQ(glass->Prints, 1);
}

}  // namespace
}  // namespace qd::testing
