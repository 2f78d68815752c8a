// Window-procedure chains, message removal and locking, and the unit's start-up and shut-down.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/controls_test_util.h"
#include "platform/classes/threads.h"
#include "platform/forms/forms.h"
#include "platform/os/user_display.h"
#include "ui/controls/cxControlsWindowUtils.h"
#include "ui/controls/cxControlsWndProc.h"
#include "ui/core/dxCore.h"
#include "ui/core/dxHooks.h"

namespace qd::testing {
namespace {

constexpr UINT kProbe = WM_USER + 10;

// Procedures that log their name and pass the message on.
struct Chain {
  std::vector<std::string> log;
  TcxWindowProcLinkedObject* a = nullptr;
  TcxWindowProcLinkedObject* b = nullptr;
  bool bRemovesItself = false;
  void ProcA(TMessage& M) {
    if (M.Msg == kProbe) log.push_back("a");
    a->DefaultProc(M);
  }
  void ProcB(TMessage& M) {
    if (M.Msg == kProbe) log.push_back("b");
    if (M.Msg == kProbe && bRemovesItself) {
      TcxWindowProcLinkedObject* self = b;
      cxWindowProcController()->Remove(b);
      EXPECT_EQ(b, nullptr);
      self->DefaultProc(M);  // still reaches the older procedures
      return;
    }
    b->DefaultProc(M);
  }
};

class ChainTest : public ControlsTest {};

// A control that logs the probe reaching its own procedure.
class LoggingControl : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::vector<std::string>* log = nullptr;
  void WndProc(TMessage& M) override {
    if (M.Msg == kProbe && log) log->push_back("own");
    TCustomControl::WndProc(M);
  }
};

TEST_F(ChainTest, ControlChainsRunNewestFirstAndComeOffInAnyOrder) {
  TForm* form = CreateNewForm<TForm>(Application);
  auto* control = new LoggingControl(form);
  control->SetParent(form);
  const TWndMethod own = control->WindowProc;
  TcxWindowProcController* controller = cxWindowProcController();
  EXPECT_EQ(controller->Add(static_cast<TControl*>(nullptr), TWndMethod(nullptr)), nullptr);

  for (bool olderFirst : {true, false}) {
    SCOPED_TRACE(olderFirst ? "older removed first" : "newer removed first");
    Chain chain;
    control->log = &chain.log;
    chain.a = controller->Add(control, TWndMethod(&chain, &Chain::ProcA));
    chain.b = controller->Add(control, TWndMethod(&chain, &Chain::ProcB));
    control->Perform(kProbe);
    EXPECT_EQ(chain.log, (std::vector<std::string>{"b", "a", "own"}));

    chain.log.clear();
    controller->Remove(olderFirst ? chain.a : chain.b);
    control->Perform(kProbe);
    EXPECT_EQ(chain.log, (std::vector<std::string>{olderFirst ? "b" : "a", "own"}));
    EXPECT_NE(controller->GetControlWindowProcObjects(control), nullptr);

    controller->Remove(olderFirst ? chain.b : chain.a);
    EXPECT_EQ(controller->GetControlWindowProcObjects(control), nullptr);
    EXPECT_TRUE(control->WindowProc == own);
  }

  // A procedure that takes itself off while the message runs through it.
  Chain chain;
  control->log = &chain.log;
  chain.bRemovesItself = true;
  chain.a = controller->Add(control, TWndMethod(&chain, &Chain::ProcA));
  chain.b = controller->Add(control, TWndMethod(&chain, &Chain::ProcB));
  control->Perform(kProbe);
  control->Perform(kProbe);
  EXPECT_EQ(chain.log, (std::vector<std::string>{"b", "a", "own", "a", "own"}));
  controller->Remove(chain.a);
  EXPECT_TRUE(control->WindowProc == own);

  // A control destroyed with its chain in place takes the chain with it.
  chain.a = controller->Add(control, TWndMethod(&chain, &Chain::ProcA));
  delete control;
  EXPECT_EQ(controller->GetControlWindowProcObjects(static_cast<TControl*>(control)), nullptr);
  controller->Remove(chain.a);  // a node of no chain: left alone
  EXPECT_NE(chain.a, nullptr);
}

// A plain window procedure that logs the probe.
std::vector<std::string>* g_windowLog = nullptr;
LRESULT LoggingWndProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == kProbe) {
    g_windowLog->push_back("own");
    return 42;
  }
  return DefWindowProcW(h, msg, w, l);
}

TEST_F(ChainTest, HandleChainsRestoreTheWindowProcedure) {
  HWND wnd = CreatePlainWindow(WS_POPUP, 0, 0, 0, 10, 10);
  SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LoggingWndProc));
  TcxWindowProcController* controller = cxWindowProcController();
  for (bool olderFirst : {true, false}) {
    SCOPED_TRACE(olderFirst ? "older removed first" : "newer removed first");
    Chain chain;
    g_windowLog = &chain.log;
    chain.a = controller->Add(wnd, TWndMethod(&chain, &Chain::ProcA));
    chain.b = controller->Add(wnd, TWndMethod(&chain, &Chain::ProcB));
    EXPECT_NE(GetWindowLongPtrW(wnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&LoggingWndProc));
    EXPECT_EQ(SendMessageW(wnd, kProbe, 0, 0), 42);  // the window's own answer comes back
    EXPECT_EQ(chain.log, (std::vector<std::string>{"b", "a", "own"}));
    controller->Remove(olderFirst ? chain.a : chain.b);
    chain.log.clear();
    SendMessageW(wnd, kProbe, 0, 0);
    EXPECT_EQ(chain.log, (std::vector<std::string>{olderFirst ? "b" : "a", "own"}));
    controller->Remove(olderFirst ? chain.b : chain.a);
    EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&LoggingWndProc));
  }

  // The chain goes with its window; its nodes are not touched afterwards.
  Chain chain;
  g_windowLog = &chain.log;
  chain.a = controller->Add(wnd, TWndMethod(&chain, &Chain::ProcA));
  DestroyWindow(wnd);
  EXPECT_EQ(controller->GetControlWindowProcObjects(wnd), nullptr);
  controller->Remove(chain.a);
  EXPECT_NE(chain.a, nullptr);
}

class MessagesTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    wnd = CreatePlainWindow(WS_POPUP, 0, 0, 0, 10, 10);
    other = CreatePlainWindow(WS_POPUP, 0, 0, 0, 10, 10);
  }
  int Queued(HWND h, UINT msg) {
    int n = 0;
    MSG m;
    while (PeekMessageW(&m, h, msg, msg, PM_REMOVE)) ++n;
    return n;
  }
  HWND wnd = nullptr;
  HWND other = nullptr;
};

TEST_F(MessagesTest, KillMessagesRemovesOneOrAllAndKeepsQuit) {
  TdxMessagesController* controller = dxMessagesController();
  for (int i = 0; i < 3; ++i) PostMessageW(wnd, WM_USER, 0, 0);
  PostMessageW(other, WM_USER, 0, 0);
  EXPECT_TRUE(controller->IsMessageInQueue(wnd, WM_USER));
  EXPECT_TRUE(controller->KillMessages(wnd, WM_USER, 0, false));
  EXPECT_TRUE(controller->KillMessages(wnd, WM_USER, 0, true));
  EXPECT_FALSE(controller->IsMessageInQueue(wnd, WM_USER));
  EXPECT_FALSE(controller->KillMessages(wnd, WM_USER));
  EXPECT_EQ(Queued(other, WM_USER), 1);  // another window's message stays

  // A range; a WM_QUIT met on the way is posted again and ends the removal.
  PostMessageW(wnd, WM_USER + 1, 0, 0);
  PostMessageW(wnd, WM_USER + 2, 0, 0);
  PostQuitMessage(9);
  EXPECT_TRUE(controller->KillMessages(nullptr, WM_NULL, WM_USER + 5));
  MSG m;
  ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(m.wParam, 9u);
  EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessagesTest, LocksNest) {
  TdxMessagesController* controller = dxMessagesController();
  controller->LockMessages({CM_ACTIVATE, CM_DEACTIVATE});
  controller->LockMessages({CM_ACTIVATE});
  controller->UnlockMessages({CM_ACTIVATE, CM_DEACTIVATE});
  EXPECT_TRUE(controller->IsMessageLocked(CM_ACTIVATE));
  EXPECT_FALSE(controller->IsMessageLocked(CM_DEACTIVATE));
  controller->UnlockMessages({CM_ACTIVATE, CM_ACTIVATE});
  EXPECT_FALSE(controller->IsMessageLocked(CM_ACTIVATE));
}

// A call-window-procedure hook that blocks locked messages, as the popup hooks do.
void BlockLockedHook(int ACode, WPARAM, LPARAM ALParam, LRESULT&) {
  auto* cwp = reinterpret_cast<CWPSTRUCT*>(ALParam);
  UINT message = cwp->message;
  dxMessagesController()->BlockLockedMessage(cwp->hwnd, message);
  EXPECT_EQ(message, dxMessagesController()->IsMessageLocked(cwp->message) ? 0u : cwp->message);
}

std::vector<UINT>* g_received = nullptr;
LRESULT RecordingWndProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg >= WM_USER) g_received->push_back(msg);
  return msg >= WM_USER ? 7 : DefWindowProcW(h, msg, w, l);
}

TEST_F(MessagesTest, ABlockInTheHookSwallowsExactlyThatMessage) {
  std::vector<UINT> received;
  g_received = &received;
  SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingWndProc));
  TdxMessagesController* controller = dxMessagesController();
  controller->LockMessages({WM_USER + 1});
  dxSetHook(htWndProc, &BlockLockedHook);

  EXPECT_EQ(SendMessageW(wnd, WM_USER + 1, 0, 0), 1);  // swallowed: answered 1
  EXPECT_EQ(SendMessageW(wnd, WM_USER + 2, 0, 0), 7);
  EXPECT_FALSE(controller->IsBlockPending(wnd));
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&RecordingWndProc));
  EXPECT_EQ(received, (std::vector<UINT>{WM_USER + 2}));

  controller->UnlockMessages({WM_USER + 1});
  EXPECT_EQ(SendMessageW(wnd, WM_USER + 1, 0, 0), 7);
  dxReleaseHook(&BlockLockedHook);

  // A second block before the first was used swallows one more message; it does not fail.
  received.clear();
  controller->BlockMessage(wnd);
  controller->BlockMessage(wnd);
  EXPECT_EQ(SendMessageW(wnd, WM_USER + 4, 0, 0), 1);
  EXPECT_EQ(SendMessageW(wnd, WM_USER + 5, 0, 0), 1);
  EXPECT_EQ(SendMessageW(wnd, WM_USER + 6, 0, 0), 7);
  EXPECT_EQ(received, (std::vector<UINT>{WM_USER + 6}));

  // A window destroyed with a block pending still gets its last message.
  controller->BlockMessage(other);
  EXPECT_TRUE(DestroyWindow(other));
  EXPECT_FALSE(controller->IsBlockPending(other));
}

TEST_F(ChainTest, SystemControllerRunsTheQueuedCallsOnItsMessage) {
  const TThreadNotifyEvent wake = WakeMainThread();
  TcxSystemController controller;
  // An executable keeps the run-time library's wake-up as it is.
  EXPECT_TRUE(WakeMainThread() == wake);
  static int ran = 0;
  ran = 0;
  TThread::ForceQueue(nullptr, TThreadProcedure([] { ++ran; }));
  SendMessageW(controller.Handle(), WM_USER, 0, 0);
  EXPECT_EQ(ran, 0);
  SendMessageW(controller.Handle(), DXM_SYNCHRONIZE, 0, 0);
  EXPECT_EQ(ran, 1);
}

TEST_F(ChainTest, StartUpRegistersCursorsAndShutDownEndsTheGlobals) {
  const HCURSOR standard = Screen->Cursors(crDefault);
  std::vector<HCURSOR> seen;
  for (TCursor number = 2100; number <= 2126; ++number) {
    SCOPED_TRACE(number);
    const HCURSOR cursor = Screen->Cursors(number);
    if (number == 2118) {
      EXPECT_EQ(cursor, standard);  // not registered
      continue;
    }
    EXPECT_NE(cursor, standard);
    EXPECT_EQ(os::SystemCursorId(cursor), 0);  // the framework's own picture
    EXPECT_EQ(std::count(seen.begin(), seen.end(), cursor), 0);
    seen.push_back(cursor);
  }
  EXPECT_EQ(os::SystemCursorId(Screen->Cursors(crdxHandPoint)), 32649);

  EXPECT_EQ(dxHookController()->SystemHooks(htWndProc)->Count(), 1);
  ASSERT_NE(dxSystemInfo(), nullptr);
  ASSERT_NE(dxMessagesController(), nullptr);
  ASSERT_NE(cxWindowProcController(), nullptr);
  FinalizeUnit();
  EXPECT_EQ(dxHookController()->SystemHooks(htWndProc)->Count(), 0);
  EXPECT_EQ(dxSystemInfo(), nullptr);
  EXPECT_EQ(dxMessagesController(), nullptr);
  EXPECT_EQ(cxWindowProcController(), nullptr);
}

}  // namespace
}  // namespace qd::testing
