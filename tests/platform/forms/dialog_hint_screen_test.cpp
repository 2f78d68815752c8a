// Message boxes as real dialogs (a display that shows windows), modal forms, hints, and
// the screen.
#include <functional>
#include <string>
#include <vector>

#include "forms_test_util.h"
#include "platform/forms/stdctrls.h"

namespace qd::testing {
namespace {

// A display that shows windows (nothing is drawn anywhere, but it is not headless).
class ShowingDisplay : public os::DisplayBackend {
 public:
  const char* Name() const override { return "test-screen"; }
};

class DialogTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    SetMessageBoxHook(nullptr);
    os::SetDisplayBackend(&display_);
  }
  void TearDown() override {
    os::SetDisplayBackend(nullptr);
    FormsTest::TearDown();
  }
  static void Type(int vk, Char ch = 0) {
    os::InjectKey(vk, true, ch);
    os::InjectKey(vk, false, ch);
  }

 private:
  ShowingDisplay display_;
};

TEST_F(DialogTest, MessageBoxIsAModalDialogAnsweredFromTheKeyboard) {
  ASSERT_FALSE(IsHeadlessDisplay());
  struct Case {
    const char* name;
    UINT flags;
    int vk;
    Char ch;
    int expected;
  } cases[] = {
      {"Enter on OK", MB_OK, VK_RETURN, 0, IDOK},
      {"Escape on an OK box answers OK", MB_OK, VK_ESCAPE, 0, IDOK},
      {"Enter takes the default button", MB_YESNO | MB_DEFBUTTON2, VK_RETURN, 0, IDNO},
      {"Escape answers Cancel", MB_YESNOCANCEL, VK_ESCAPE, 0, IDCANCEL},
      {"accelerator letter", MB_YESNO | MB_DEFBUTTON2, VK_PACKET, u'y', IDYES},
      {"Tab moves to the next button", MB_OKCANCEL, VK_TAB, 0, IDCANCEL},
  };
  for (const auto& c : cases) {
    Type(c.vk, c.ch);
    if (c.vk == VK_TAB) Type(VK_RETURN);
    EXPECT_EQ(MessageBoxW(nullptr, u"Linha 1\nLinha 2", u"Atualizador", c.flags), c.expected) << c.name;
    EXPECT_EQ(Screen->FormCount(), 0) << c.name;  // the dialog is gone
  }
}

TEST_F(DialogTest, ABoxAfterTerminationDoesNotWait) {
  Application->Terminate();
  Application->ProcessMessages();
  ASSERT_TRUE(Application->Terminated());
  EXPECT_EQ(MessageBoxW(nullptr, u"fim", u"Atualizador", MB_OK), IDOK);
  EXPECT_EQ(MessageBoxW(nullptr, u"fim", u"Atualizador", MB_YESNO | MB_DEFBUTTON2), IDNO);
}

class ModalTest : public FormsTest {};

TEST_F(ModalTest, ShowModalReturnsTheModalResultAndDisablesOtherForms) {
  TForm* main = nullptr;
  Application->CreateForm(TForm::StaticClass(), main);
  main->Show();
  TForm* dialog = CreateNewForm<TForm>(Application);
  dialog->SetPosition(poMainFormCenter);
  auto* ok = new TButton(dialog);
  ok->SetParent(dialog);
  ok->SetModalResult(mrOk);
  ok->SetDefault(true);
  struct Spy {
    TForm* main;
    bool mainEnabled = true;
    void Click(TObject*) { mainEnabled = IsWindowEnabled(main->Handle()) != FALSE; }
  } spy{main};
  ok->OnClick = TNotifyEvent(&spy, &Spy::Click);
  os::InjectKey(VK_RETURN, true);
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_FALSE(spy.mainEnabled);
  EXPECT_TRUE(IsWindowEnabled(main->Handle()));
  EXPECT_FALSE(dialog->Visible());
  EXPECT_FALSE(dialog->FormState().Contains(fsModal));
  EXPECT_EQ(Application->ModalLevel(), 0);
  // Showing a visible form modally is an error.
  EXPECT_THROW(main->ShowModal(), EInvalidOperation);
}

TEST_F(ModalTest, CloseActionFreeReleasesTheFormAfterPendingMessages) {
  TForm* main = nullptr;
  Application->CreateForm(TForm::StaticClass(), main);
  TForm* other = CreateNewForm<TForm>(Application);
  struct Closer {
    void OnClose(TObject*, TCloseAction& a) { a = caFree; }
  } closer;
  other->OnClose = TCloseEvent(&closer, &Closer::OnClose);
  other->Show();
  other->Close();
  EXPECT_EQ(Screen->FormCount(), 2);  // still there until its release message
  Application->ProcessMessages();
  EXPECT_EQ(Screen->FormCount(), 1);
  EXPECT_EQ(Screen->Forms(0), main);
}

class HintTest : public FormsTest {};

TEST_F(HintTest, HintShowsAfterThePauseAndHidesAfterTheHidePause) {
  TForm* form = NewPlainForm(200, 100);
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetBounds(10, 10, 60, 20);
  label->SetAutoSize(false);
  label->SetHint(u"Curto|Longo");
  label->SetShowHint(true);
  struct Watch {
    String shown;
    void OnShowHint(String& s, bool& canShow, THintInfo& info) {
      shown = s;
      canShow = true;
      info.HintStr = s + u"!";
    }
  } watch;
  Application->OnShowHint = TShowHintEvent(&watch, &Watch::OnShowHint);
  ShowAndPaint(form);
  os::InjectMouseMove(form->ClientToScreen(TPoint{20, 15}));
  Application->ProcessMessages();
  EXPECT_FALSE(Application->HintShowing());
  Clock().Advance(499);
  Application->ProcessMessages();
  EXPECT_FALSE(Application->HintShowing());
  Clock().Advance(1);
  Application->ProcessMessages();
  EXPECT_TRUE(Application->HintShowing());
  EXPECT_EQ(watch.shown, u"Curto");
  ASSERT_NE(Application->HintWindow(), nullptr);
  EXPECT_EQ(Application->HintWindow()->Caption(), u"Curto!");
  Clock().Advance(2500);
  Application->ProcessMessages();
  EXPECT_FALSE(Application->HintShowing());
}

TEST_F(HintTest, ControlsWithoutShowHintGetNoHint) {
  TForm* form = NewPlainForm(200, 100);
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetBounds(10, 10, 60, 20);
  label->SetHint(u"nada");
  ShowAndPaint(form);
  os::InjectMouseMove(form->ClientToScreen(TPoint{20, 15}));
  Application->ProcessMessages();
  Clock().Advance(1000);
  Application->ProcessMessages();
  EXPECT_FALSE(Application->HintShowing());
}

class ScreenTest : public FormsTest {};

TEST_F(ScreenTest, ReportsTheMonitorsAndCursors) {
  EXPECT_EQ(Screen->Width(), 1920);
  EXPECT_EQ(Screen->Height(), 1080);
  EXPECT_EQ(Screen->WorkAreaRect(), Rect(0, 0, 1920, 1040));
  EXPECT_EQ(Screen->PixelsPerInch(), 96);
  ASSERT_EQ(Screen->MonitorCount(), 1);
  EXPECT_TRUE(Screen->Monitors(0)->Primary());
  EXPECT_EQ(Screen->MonitorFromPoint(TPoint{5000, 5000}), Screen->Monitors(0));
  EXPECT_EQ(Screen->Cursors(crHandPoint), LoadCursorW(nullptr, IDC_HAND));
  EXPECT_EQ(Screen->Cursors(crDefault), LoadCursorW(nullptr, IDC_ARROW));
  EXPECT_EQ(Screen->Cursors(1234), Screen->Cursors(crDefault));
  Screen->SetCursor(crHourGlass);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
  Screen->SetCursor(crDefault);
  EXPECT_EQ(Mouse->DragThreshold(), 5);
}

TEST_F(ScreenTest, ActiveFormAndControlFollowTheFocus) {
  TForm* form = NewPlainForm(200, 100);
  auto* a = new TButton(form);
  a->SetParent(form);
  a->SetBounds(0, 0, 50, 20);
  auto* b = new TButton(form);
  b->SetParent(form);
  b->SetBounds(0, 30, 50, 20);
  struct Log {
    std::vector<std::string> lines;
    void EnterA(TObject*) { lines.push_back("enter a"); }
    void ExitA(TObject*) { lines.push_back("exit a"); }
    void EnterB(TObject*) { lines.push_back("enter b"); }
  } log;
  a->OnEnter = TNotifyEvent(&log, &Log::EnterA);
  a->OnExit = TNotifyEvent(&log, &Log::ExitA);
  b->OnEnter = TNotifyEvent(&log, &Log::EnterB);
  ShowAndPaint(form);
  EXPECT_EQ(Screen->ActiveForm(), form);
  EXPECT_EQ(form->ActiveControl(), a);  // the first in tab order
  EXPECT_EQ(Screen->ActiveControl(), a);
  // Tab goes to the next control through the dialog keys.
  os::InjectKey(VK_TAB, true);
  os::InjectKey(VK_TAB, false);
  Application->ProcessMessages();
  EXPECT_TRUE(b->Focused());
  EXPECT_EQ(Screen->ActiveControl(), b);
  EXPECT_EQ(log.lines, (std::vector<std::string>{"enter a", "exit a", "enter b"}));
  // Taking b away moves nothing to a dangling control.
  const TWinControl* gone = b;
  delete b;
  EXPECT_EQ(form->ActiveControl(), nullptr);
  EXPECT_NE(Screen->ActiveControl(), gone);
  Application->ProcessMessages();
  EXPECT_NE(Screen->ActiveControl(), gone);
}

// The screen with windows that are shown, so that the focus moves as windows go.
class ShowingScreenTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    os::SetDisplayBackend(&display_);
  }
  void TearDown() override {
    os::SetDisplayBackend(nullptr);
    FormsTest::TearDown();
  }

 private:
  ShowingDisplay display_;
};

// A form freed while one of its controls has the focus, whichever way, is no longer referenced
// by the screen, nor is any of its controls; another form then takes the focus normally.
TEST_F(ShowingScreenTest, AFreedFormWithTheFocusLeavesNothingBehind) {
  struct Way {
    const char* name;
    std::function<void(TForm*, TComponent*)> free;
  } ways[] = {
      {"delete", [](TForm* f, TComponent*) { delete f; }},
      {"Free", [](TForm* f, TComponent*) { f->Free(); }},
      {"Release",
       [](TForm* f, TComponent*) {
         f->Release();
         Application->ProcessMessages();
       }},
      {"its owner", [](TForm*, TComponent* owner) { delete owner; }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    auto* owner = new TComponent(nullptr);
    TForm* form = CreateNewForm<TForm>(owner);
    form->SetPosition(poDesigned);
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 100, 200, 100);
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(0, 0, 80, 20);
    ShowAndPaint(form);
    edit->SetFocus();
    Application->ProcessMessages();
    ASSERT_EQ(Screen->FocusedForm(), form);
    ASSERT_EQ(Screen->ActiveControl(), edit);

    const TCustomForm* gone = form;
    const TWinControl* goneEdit = edit;
    way.free(form, owner);
    EXPECT_NE(Screen->FocusedForm(), gone);
    EXPECT_NE(Screen->ActiveForm(), gone);
    EXPECT_NE(Screen->ActiveControl(), goneEdit);
    for (int i = 0; i < Screen->FormCount(); ++i) EXPECT_NE(Screen->Forms(i), gone);
    Application->ProcessMessages();
    EXPECT_NE(Screen->FocusedForm(), gone);
    EXPECT_NE(Screen->ActiveForm(), gone);
    if (std::string(way.name) != "its owner") delete owner;

    TForm* other = NewPlainForm(200, 100);
    ShowAndPaint(other);
    other->SetFocus();
    Application->ProcessMessages();
    EXPECT_EQ(Screen->FocusedForm(), other);
    EXPECT_EQ(Screen->ActiveForm(), other);
    delete other;
  }
}

}  // namespace
}  // namespace qd::testing
