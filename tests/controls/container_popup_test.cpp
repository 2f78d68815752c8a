// The container popup window and the hooks that close it: clicks on the owner, nested
// popups, Alt with a key, the application losing activation, a hidden owner form, and the
// modal loop that ends with the popup.
#include <string>
#include <vector>

#include "controls/controls_test_util.h"
#include "platform/forms/forms.h"
#include "ui/controls/cxContainerPopup.h"

namespace qd::testing {
namespace {

// A form whose shortcut is Ctrl+K.
class TShortCutForm : public TForm {
 public:
  using TForm::TForm;
  bool IsShortCut(TMessage& Message) override {
    return Message.Msg == WM_KEYDOWN && Message.WParam == 'K' && GetKeyState(VK_CONTROL) < 0;
  }
};

// A form that counts the focus-deactivation notices it receives.
class TDeactivationCounter : public TForm {
 public:
  using TForm::TForm;
  int Deactivations = 0;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == CM_DEACTIVATE) ++Deactivations;
    TForm::Dispatch(Message);
  }
};

// An owner control that counts the mouse-down messages it receives.
class TClickCounter : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int Downs = 0;
  void Dispatch(TMessage& Message) override {
    if (IsMouseDownMessage(Message.Msg)) ++Downs;
    TCustomControl::Dispatch(Message);
  }
};

// A popup that records what reaches it and answers the ignore question as told.
class TTestPopup : public TcxCustomPopupWindow {
 public:
  using TcxCustomPopupWindow::TcxCustomPopupWindow;
  bool IgnoreAfterCloseUp = false;
  std::vector<WPARAM> SysKeys;
  std::vector<std::pair<bool, TControl*>> EnterLeave;
  void MouseEnter(TControl* AControl) override { EnterLeave.push_back({true, AControl}); }
  void MouseLeave(TControl* AControl) override { EnterLeave.push_back({false, AControl}); }
  bool NeedIgnoreMouseMessageAfterCloseUp(HWND, UINT, TShiftState, const TPoint&) override {
    return IgnoreAfterCloseUp;
  }
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == WM_SYSKEYDOWN) SysKeys.push_back(Message.WParam);
    TcxCustomPopupWindow::Dispatch(Message);
  }
};

// Records the order in which popups close.
struct TCloseLog {
  std::vector<std::string> Order;
  std::vector<std::pair<TObject*, std::string>> Names;
  void OnClosing(TObject* Sender) {
    for (auto& [o, n] : Names)
      if (o == Sender) Order.push_back(n);
  }
};

class ContainerPopup : public BaseControlTest {
 protected:
  void SetUp() override {
    BaseControlTest::SetUp();
    cxContainerPopup::Initialize();
    form_ = NewPlainForm(300, 200);
    owner_ = new TClickCounter(form_);
    owner_->SetParent(form_);
    owner_->SetBounds(10, 10, 100, 20);
    form_->Show();
    Application->ProcessMessages();
  }
  void TearDown() override {
    forms::Finalize();
    forms::Initialize();
    cxContainerPopup::Finalize();
    BaseControlTest::TearDown();
  }

  // A non-modal popup of 120 x 80 below the owner control (screen coordinates).
  static TTestPopup* NewPopup(TWinControl* AOwner, bool ACaptureFocus = true) {
    auto* popup = new TTestPopup(AOwner);
    popup->AfterConstruction();
    popup->SetAdjustable(false);
    popup->SetBounds(0, 0, 120, 80);
    popup->SetModalMode(false);
    popup->SetCaptureFocus(ACaptureFocus);
    const TRect r = cxGetWindowRect(AOwner->Handle());
    popup->SetOwnerBounds(r);
    return popup;
  }

  void Click(UINT ADown, POINT APoint) {
    Clock().Advance(GetDoubleClickTime() + 1);
    os::InjectMouseButton(ADown, APoint);
    os::InjectMouseButton(ADown == WM_LBUTTONDOWN ? WM_LBUTTONUP : WM_RBUTTONUP, APoint);
    Application->ProcessMessages();
  }

  TForm* form_ = nullptr;
  TClickCounter* owner_ = nullptr;
};

TEST_F(ContainerPopup, ClickOnTheOwnerClosesThePopupAndStillReachesTheOwner) {
  for (bool ignore : {false, true}) {
    SCOPED_TRACE(ignore ? "popup asks to ignore" : "popup lets the click pass");
    TTestPopup* popup = NewPopup(owner_);
    popup->IgnoreAfterCloseUp = ignore;
    popup->Popup(nullptr);
    ASSERT_TRUE(popup->IsVisible());
    EXPECT_EQ(popup->Left(), 110);
    EXPECT_EQ(popup->Top(), 130);
    owner_->Downs = 0;
    Click(WM_LBUTTONDOWN, POINT{150, 120});
    EXPECT_FALSE(popup->IsVisible());
    EXPECT_FALSE(cxPopupVisibleController()->IsAnyVisible());
    // The click that closed the popup is for the owner either way; the owner learns it
    // closed the popup through the just-closed flag, which reading clears.
    EXPECT_EQ(owner_->Downs, 1);
    EXPECT_EQ(popup->GetJustClosed(), ignore);
    EXPECT_FALSE(popup->GetJustClosed());
    delete popup;
  }
}

TEST_F(ContainerPopup, ClickOnTheOwnerIsEatenWhenClosingHidesOrFreesTheOwner) {
  struct Closer {
    TClickCounter** owner;
    bool free;
    void OnClosed(TObject*) {
      if (free) {
        delete *owner;
        *owner = nullptr;
      } else {
        (*owner)->SetVisible(false);
      }
    }
  };
  for (bool free : {false, true}) {
    SCOPED_TRACE(free ? "owner freed" : "owner hidden");
    owner_->SetVisible(true);
    Application->ProcessMessages();
    TTestPopup* popup = NewPopup(owner_);
    Closer closer{&owner_, free};
    popup->OnClosed = TNotifyEvent(&closer, &Closer::OnClosed);
    popup->Popup(nullptr);
    ASSERT_TRUE(popup->IsVisible());
    TClickCounter* seen = owner_;
    seen->Downs = 0;
    Click(WM_LBUTTONDOWN, POINT{150, 120});
    EXPECT_FALSE(popup->IsVisible());
    if (!free) EXPECT_EQ(seen->Downs, 0);
    EXPECT_EQ(popup->OwnerControl(), owner_);
    delete popup;
  }
}

TEST_F(ContainerPopup, ClickElsewhereOnTheFormClosesAndIsEatenOnlyWhenThePopupSaysSo) {
  struct Case {
    const char* name;
    UINT down;
    bool ignore;
  };
  const Case cases[] = {
      {"right click, passes", WM_RBUTTONDOWN, false},
      {"right click, eaten", WM_RBUTTONDOWN, true},
      {"left click beside the owner, eaten", WM_LBUTTONDOWN, true},
  };
  auto* other = new TClickCounter(form_);
  other->SetParent(form_);
  other->SetBounds(150, 150, 100, 40);
  Application->ProcessMessages();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTestPopup* popup = NewPopup(owner_);
    popup->IgnoreAfterCloseUp = c.ignore;
    popup->Popup(nullptr);
    ASSERT_TRUE(popup->IsVisible());
    other->Downs = 0;
    Click(c.down, POINT{300, 270});
    EXPECT_FALSE(popup->IsVisible());
    EXPECT_EQ(other->Downs, c.ignore ? 0 : 1);
    EXPECT_FALSE(popup->GetJustClosed());
    delete popup;
  }
}

TEST_F(ContainerPopup, ClicksInsideAPopupOrItsNestedPopupCloseOnlyWhatWasOpenedFromElsewhere) {
  TTestPopup* outer = NewPopup(owner_);
  auto* innerOwner = new TClickCounter(outer);
  innerOwner->SetParent(outer);
  innerOwner->SetBounds(10, 10, 60, 20);
  outer->Popup(nullptr);
  ASSERT_TRUE(outer->IsVisible());
  // A drop-down inside a popup keeps its popup open while it takes the activation.
  TTestPopup* inner = NewPopup(innerOwner);
  outer->LockDeactivate(true);
  inner->Popup(nullptr);
  outer->LockDeactivate(false);
  ASSERT_TRUE(inner->IsVisible());
  ASSERT_EQ(cxPopupVisibleController()->Count(), 2);
  EXPECT_EQ(cxPopupVisibleController()->Items(1), inner);

  // Inside the nested popup: nothing closes.
  const TRect innerRect = cxGetWindowRect(inner->Handle());
  Click(WM_LBUTTONDOWN, POINT{innerRect.Left + 5, innerRect.Bottom - 5});
  EXPECT_TRUE(outer->IsVisible());
  EXPECT_TRUE(inner->IsVisible());
  EXPECT_TRUE(IsRelatedWindow(outer->Handle(), inner->Handle()));

  // Inside the outer popup, away from the nested one: only the nested popup closes.
  const TRect outerRect = cxGetWindowRect(outer->Handle());
  ASSERT_LT(outerRect.Left + 2, innerRect.Left);
  Click(WM_LBUTTONDOWN, POINT{outerRect.Left + 2, outerRect.Bottom - 5});
  EXPECT_TRUE(outer->IsVisible());
  EXPECT_FALSE(inner->IsVisible());
  delete inner;
  delete outer;
}

TEST_F(ContainerPopup, AltWithALetterIsNulledUnlessThePopupAcceptsTheKey) {
  TTestPopup* popup = NewPopup(owner_);
  popup->Popup(nullptr);
  ASSERT_TRUE(popup->IsVisible());
  ASSERT_EQ(GetFocus(), popup->Handle());
  auto altKey = [&](int AVk) {
    os::InjectKey(VK_MENU, true);
    os::InjectKey(AVk, true);
    os::InjectKey(AVk, false);
    os::InjectKey(VK_MENU, false);
    Application->ProcessMessages();
  };
  altKey('A');
  EXPECT_TRUE(popup->SysKeys.empty());
  altKey(VK_DOWN);
  EXPECT_EQ(popup->SysKeys, std::vector<WPARAM>{VK_DOWN});
  popup->SysKeys.clear();
  altKey(VK_F4);
  EXPECT_EQ(popup->SysKeys, std::vector<WPARAM>{VK_F4});
  delete popup;
}

TEST_F(ContainerPopup, ApplicationDeactivationClosesAllButTheActiveFocusCapturingPopup) {
  TTestPopup* capturing = NewPopup(owner_);
  capturing->Popup(nullptr);
  ASSERT_EQ(GetActiveWindow(), capturing->Handle());
  SendMessageW(form_->Handle(), WM_ACTIVATEAPP, 0, 0);
  EXPECT_TRUE(capturing->IsVisible());
  capturing->CloseUp();

  TTestPopup* plain = NewPopup(owner_, false);
  plain->Popup(nullptr);
  ASSERT_TRUE(plain->IsVisible());
  SendMessageW(form_->Handle(), WM_ACTIVATEAPP, 0, 0);
  EXPECT_FALSE(plain->IsVisible());
  delete plain;
  delete capturing;
}

TEST_F(ContainerPopup, HidingTheOwnerFormClosesItsPopupAndThoseOpenedAfterItTopmostFirst) {
  auto* otherForm = NewPlainForm(100, 50);
  otherForm->SetBounds(500, 500, 100, 50);
  auto* otherOwner = new TClickCounter(otherForm);
  otherOwner->SetParent(otherForm);
  otherOwner->SetBounds(0, 0, 50, 20);
  otherForm->Show();
  Application->ProcessMessages();

  TCloseLog log;
  TTestPopup* unrelated = NewPopup(otherOwner, false);
  TTestPopup* first = NewPopup(owner_, false);
  auto* nestedOwner = new TClickCounter(first);
  nestedOwner->SetParent(first);
  nestedOwner->SetBounds(0, 0, 50, 20);
  TTestPopup* nested = NewPopup(nestedOwner, false);
  log.Names = {{unrelated, "unrelated"}, {first, "first"}, {nested, "nested"}};
  for (TTestPopup* p : {unrelated, first, nested}) {
    p->OnClosing = TNotifyEvent(&log, &TCloseLog::OnClosing);
    // Each one stays open while the next takes the activation.
    p->LockDeactivate(true);
    p->Popup(nullptr);
    ASSERT_TRUE(p->IsVisible());
  }
  form_->Hide();
  EXPECT_EQ(log.Order, (std::vector<std::string>{"nested", "first"}));
  EXPECT_TRUE(unrelated->IsVisible());
  delete nested;
  delete first;
  delete unrelated;
}

TEST_F(ContainerPopup, ModalLoopRunsUntilAClickElsewhereClosesThePopup) {
  TTestPopup* popup = NewPopup(owner_);
  popup->SetModalMode(true);
  struct Script {
    TTestPopup* popup;
    bool shownInLoop = false;
    void OnShowed(TObject*) {
      // Queued before the loop waits: an Alt+letter that a modal popup receives, then a
      // click on the form away from the owner.
      os::InjectKey(VK_MENU, true);
      os::InjectKey('B', true);
      os::InjectKey('B', false);
      os::InjectKey(VK_MENU, false);
      os::InjectMouseButton(WM_LBUTTONDOWN, POINT{380, 280});
      os::InjectMouseButton(WM_LBUTTONUP, POINT{380, 280});
      shownInLoop = popup->IsVisible();
    }
  } script{popup};
  popup->OnShowed = TNotifyEvent(&script, &Script::OnShowed);
  popup->Popup(nullptr);
  // Popup returns only once the loop has ended.
  EXPECT_TRUE(script.shownInLoop);
  EXPECT_FALSE(popup->IsVisible());
  EXPECT_FALSE(popup->Visible());
  // The loop drops a queued Alt press itself; Alt+B reaches the focus-capturing modal popup.
  EXPECT_EQ(popup->SysKeys, std::vector<WPARAM>({'B'}));
  delete popup;
}

TEST_F(ContainerPopup, ShowingTwiceAndClosingAHiddenPopupAndEscapeWithCapture) {
  owner_->SetFocus();
  ASSERT_EQ(GetFocus(), owner_->Handle());
  TTestPopup* popup = NewPopup(owner_);
  int showing = 0, before = 0, closing = 0;
  struct Counter {
    int* n;
    void Hit(TObject*) { ++*n; }
  } cShowing{&showing}, cBefore{&before}, cClosing{&closing};
  popup->OnShowing = TNotifyEvent(&cShowing, &Counter::Hit);
  popup->OnBeforeClosing = TNotifyEvent(&cBefore, &Counter::Hit);
  popup->OnClosing = TNotifyEvent(&cClosing, &Counter::Hit);
  popup->CloseUp();
  EXPECT_EQ(before, 1);
  EXPECT_EQ(closing, 0);
  popup->Popup(nullptr);
  popup->Popup(nullptr);
  EXPECT_EQ(showing, 1);
  EXPECT_EQ(cxPopupVisibleController()->Count(), 1);

  // Escape while the popup holds the mouse capture only releases the capture.
  SetCapture(popup->Handle());
  os::InjectKey(VK_ESCAPE, true);
  os::InjectKey(VK_ESCAPE, false);
  Application->ProcessMessages();
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(popup->IsVisible());

  popup->ClosePopup();
  Application->ProcessMessages();
  EXPECT_FALSE(popup->IsVisible());
  EXPECT_EQ(closing, 1);
  EXPECT_EQ(GetFocus(), owner_->Handle());
  delete popup;
}

TEST_F(ContainerPopup, TheViewInfoPaintsTheFrame) {
  TTestPopup* popup = NewPopup(owner_);
  popup->Style()->LookAndFeel()->SetKind(lfUltraFlat);
  popup->Style()->LookAndFeel()->SetNativeStyle(false);
  // What an editor's popup computes: a one-pixel red border around a yellow inside.
  TcxContainerViewInfo* vi = popup->ViewInfo();
  vi->UpdateStyle(popup->Style());
  vi->SetCalculated(true);
  vi->Bounds = TRect{0, 0, 120, 80};
  vi->BorderRect = TRect{1, 1, 119, 79};
  vi->ClientRect = vi->BorderRect;
  vi->BorderStyle = cbsSingle;
  vi->BorderWidth = 1;
  vi->BorderColor = clRed;
  vi->Edges = cxBordersAll;
  vi->SetBackgroundColor(clYellow);
  popup->Popup(nullptr);
  ASSERT_TRUE(popup->IsVisible());
  RedrawWindow(popup->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  SaveWindowPng(popup->Handle(), "container_popup_frame");
  const os::WindowPixels px = os::ReadWindowPixels(popup->Handle(), true);
  for (TPoint p : {TPoint{0, 0}, TPoint{119, 40}, TPoint{60, 79}, TPoint{0, 79}})
    EXPECT_EQ(px.At(p.X, p.Y) & 0xFFFFFF, 0xFF0000u) << p.X << "," << p.Y;
  for (TPoint p : {TPoint{1, 1}, TPoint{60, 40}, TPoint{118, 78}})
    EXPECT_EQ(px.At(p.X, p.Y) & 0xFFFFFF, 0xFFFF00u) << p.X << "," << p.Y;
  // The client area is the view info's.
  EXPECT_EQ(popup->ClientRect(), (TRect{0, 0, 120, 80}));
  TRect client = popup->ClientRect();
  popup->AdjustClientRect(client);
  EXPECT_EQ(client, vi->ClientRect);
  delete popup;
}

TEST_F(ContainerPopup, WindowKindFollowsTheFocusRole) {
  struct Case {
    const char* name;
    bool captureFocus, topMost, stayOnTopForm;
    bool child, toolWindow, topmostStyle;
  };
  const Case cases[] = {
      {"focus-capturing", true, false, false, false, false, false},
      {"focus-capturing, topmost on an ordinary form", true, true, false, false, false, false},
      {"focus-capturing, topmost on a stay-on-top form", true, true, true, false, false, true},
      // Shown in the topmost band (TopMostComboBoxes).
      {"not focus-capturing: a desktop child", false, false, false, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    form_->SetFormStyle(c.stayOnTopForm ? fsStayOnTop : fsNormal);
    Application->ProcessMessages();
    TTestPopup* popup = NewPopup(owner_, c.captureFocus);
    popup->SetIsTopMost(c.topMost);
    popup->Popup(nullptr);
    ASSERT_TRUE(popup->IsVisible());
    const LONG style = GetWindowLongW(popup->Handle(), GWL_STYLE);
    const LONG exStyle = GetWindowLongW(popup->Handle(), GWL_EXSTYLE);
    EXPECT_EQ((style & WS_CHILD) != 0, c.child);
    EXPECT_EQ((style & WS_POPUP) != 0, !c.child);
    EXPECT_TRUE(style & WS_CLIPCHILDREN);
    EXPECT_EQ((exStyle & WS_EX_TOOLWINDOW) != 0, c.toolWindow);
    EXPECT_EQ((exStyle & WS_EX_TOPMOST) != 0, c.topmostStyle);
    if (c.child) {
      EXPECT_EQ(GetAncestor(popup->Handle(), GA_PARENT), GetDesktopWindow());
      EXPECT_EQ(GetWindow(popup->Handle(), GW_OWNER), nullptr);
    } else {
      EXPECT_EQ(GetWindow(popup->Handle(), GW_OWNER), form_->Handle());
      EXPECT_EQ(GetActiveWindow(), popup->Handle());
    }
    popup->CloseUp();
    delete popup;
  }
  form_->SetFormStyle(fsNormal);
}

TEST_F(ContainerPopup, ShortCutsOfTheOwnersFormAndMouseEnterAndLeave) {
  auto* form = CreateNewForm<TShortCutForm>(Application);
  form->SetBounds(100, 300, 200, 100);
  auto* owner = new TClickCounter(form);
  owner->SetParent(form);
  owner->SetBounds(0, 0, 50, 20);
  form->Show();
  TTestPopup* popup = NewPopup(owner);
  TMessage key{WM_KEYDOWN, 'K', 0, 0};
  EXPECT_FALSE(popup->IsShortCut(key));
  os::InjectKey(VK_CONTROL, true);
  Application->ProcessMessages();
  EXPECT_TRUE(popup->IsShortCut(key));
  os::InjectKey(VK_CONTROL, false);
  Application->ProcessMessages();
  // The mouse messages name the control they are about, or none for the popup itself.
  popup->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(owner));
  popup->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(popup->EnterLeave, (std::vector<std::pair<bool, TControl*>>{{true, owner}, {false, popup}}));
  delete popup;
}

TEST_F(ContainerPopup, APopupTakesThePixelDensityOfItsOwner) {
  auto* owner = new TcxControl(form_);
  owner->SetParent(form_);
  owner->SetBounds(10, 40, 100, 20);
  owner->ChangeScale(3, 2);
  Application->ProcessMessages();
  TTestPopup* popup = NewPopup(owner);
  EXPECT_FALSE(popup->Scaled());
  popup->Popup(nullptr);
  ASSERT_TRUE(popup->IsVisible());
  EXPECT_EQ(popup->ScaleFactor()->Numerator(), 3);
  EXPECT_EQ(popup->ScaleFactor()->Denominator(), 2);
  // A popup that sizes itself from its children would keep its bounds; this one scales them.
  EXPECT_EQ(popup->Width(), 120 * 3 / 2);
  popup->CloseUp();
  delete popup;
}

TEST_F(ContainerPopup, AClickInTheMDIFrameClosesThePopupOfAnMDIChild) {
  TForm* frame = NewPlainForm(400, 300);
  frame->SetFormStyle(fsMDIForm);
  frame->SetBounds(500, 100, 400, 300);
  frame->Show();
  auto* child = CreateNewForm<TForm>(Application);
  child->SetFormStyle(fsMDIChild);
  child->SetBounds(520, 150, 200, 100);
  auto* owner = new TClickCounter(child);
  owner->SetParent(child);
  owner->SetBounds(0, 0, 50, 20);
  child->Show();
  Application->ProcessMessages();
  for (bool ignore : {false, true}) {
    SCOPED_TRACE(ignore ? "eaten" : "passes");
    TTestPopup* popup = NewPopup(owner);
    popup->SetBounds(0, 0, 40, 30);
    popup->IgnoreAfterCloseUp = ignore;
    popup->Popup(nullptr);
    ASSERT_TRUE(popup->IsVisible());
    bool eaten = false;
    CloseUnrelatedPopupsOnMouseClick(frame->Handle(), TPoint{880, 380}, WM_LBUTTONDOWN, eaten);
    EXPECT_FALSE(popup->IsVisible());
    EXPECT_EQ(eaten, ignore);
    delete popup;
  }
  // A click in an unrelated form closes nothing.
  TTestPopup* popup = NewPopup(owner);
  popup->Popup(nullptr);
  bool eaten = false;
  CloseUnrelatedPopupsOnMouseClick(form_->Handle(), TPoint{150, 150}, WM_LBUTTONDOWN, eaten);
  EXPECT_TRUE(popup->IsVisible());
  popup->CloseUp();
  delete popup;
}

TEST_F(ContainerPopup, FocusMovingIntoThePopupDoesNotDeactivateTheOwnersForm) {
  auto* form = CreateNewForm<TDeactivationCounter>(Application);
  form->SetBounds(100, 300, 200, 100);
  auto* owner = new TEdit(form);
  owner->SetParent(form);
  owner->SetBounds(0, 0, 80, 20);
  form->Show();
  owner->SetFocus();
  Application->ProcessMessages();
  TTestPopup* popup = NewPopup(owner);
  auto* edit = new TEdit(popup);
  edit->SetParent(popup);
  edit->SetBounds(0, 0, 60, 20);
  form->Deactivations = 0;
  popup->Popup(edit);
  ASSERT_TRUE(popup->IsVisible());
  EXPECT_EQ(GetFocus(), edit->Handle());
  EXPECT_EQ(form->Deactivations, 0);
  popup->CloseUp();
  delete popup;
}

TEST_F(ContainerPopup, APopupShownWithoutActivationLeavesTheFormActive) {
  form_->SetFocus();
  Application->ProcessMessages();
  ASSERT_EQ(GetActiveWindow(), form_->Handle());
  int shows = 0;
  struct Counter {
    int* count;
    void OnShow(TObject*) { ++*count; }
  } counter{&shows};
  TTestPopup* popup = NewPopup(owner_);
  popup->SetShowWithoutActivation(true);
  popup->OnShow = TNotifyEvent(&counter, &Counter::OnShow);
  popup->Popup(nullptr);
  ASSERT_TRUE(popup->IsVisible());
  EXPECT_TRUE(IsWindowVisible(popup->Handle()));
  EXPECT_EQ(GetActiveWindow(), form_->Handle());
  EXPECT_EQ(shows, 1);
  popup->CloseUp();
  delete popup;
}

TEST_F(ContainerPopup, HidingAFocusCapturingPopupGivesTheFocusToItsOwner) {
  auto* owner = new TEdit(form_);
  owner->SetParent(form_);
  owner->SetBounds(10, 40, 80, 20);
  auto* other = new TEdit(form_);
  other->SetParent(form_);
  other->SetBounds(10, 70, 80, 20);
  Application->ProcessMessages();
  other->SetFocus();
  TTestPopup* popup = NewPopup(owner);
  auto* edit = new TEdit(popup);
  edit->SetParent(popup);
  edit->SetBounds(0, 0, 60, 20);
  popup->Popup(edit);
  ASSERT_EQ(GetFocus(), edit->Handle());
  // Hidden without closing: the focus lands on the owner, not where it was on the form.
  popup->SetVisible(false);
  Application->ProcessMessages();
  EXPECT_EQ(GetFocus(), owner->Handle());
  popup->CloseUp();
  delete popup;
}

}  // namespace
}  // namespace qd::testing
