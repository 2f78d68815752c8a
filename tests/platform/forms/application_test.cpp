// The application object: termination, the message loop, timers, exceptions and message
// boxes.
#include <string>
#include <vector>

#include "forms_test_util.h"
#include "platform/classes/threads.h"
#include "platform/forms/extctrls.h"

namespace qd::testing {
namespace {

class ApplicationTest : public FormsTest {};

struct Events {
  std::vector<std::string> log;
  TTimer* timer = nullptr;
  bool terminateOnCreate = false;
  bool terminateOnTimer = true;
  void Create(TObject*) {
    log.push_back("create");
    if (terminateOnCreate) Application->Terminate();
  }
  void Show(TObject*) {
    log.push_back("show");
    if (timer) timer->SetEnabled(true);
  }
  void Tick(TObject*) {
    log.push_back("timer");
    timer->SetEnabled(false);
    if (terminateOnTimer) Application->Terminate();
  }
};

// A main form whose OnCreate and OnShow go to ev; a 500 ms timer (disabled) ticks into ev.
TForm* MakeMainForm(Events& ev) {
  TForm* form = nullptr;
  Application->CreateForm(TForm::StaticClass(), form);
  form->OnShow = TNotifyEvent(&ev, &Events::Show);
  ev.timer = new TTimer(form);
  ev.timer->SetEnabled(false);
  ev.timer->SetInterval(500);
  ev.timer->SetOnTimer(TNotifyEvent(&ev, &Events::Tick));
  return form;
}

TEST_F(ApplicationTest, FirstFormCreatedBecomesMainFormAndReferenceIsSetBeforeOnCreate) {
  TForm* first = nullptr;
  TForm* second = nullptr;
  Application->CreateForm(TForm::StaticClass(), first);
  Application->CreateForm(TForm::StaticClass(), second);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(Application->MainForm(), first);
  EXPECT_TRUE(first->HandleAllocated());
  EXPECT_FALSE(IsWindowVisible(first->Handle()));
  EXPECT_EQ(first->Owner(), Application);
}

TEST_F(ApplicationTest, TerminateBeforeRunStillShowsTheMainFormOnce) {
  Events ev;
  TForm* form = MakeMainForm(ev);
  Application->Terminate();  // as a handler of OnCreate would
  EXPECT_FALSE(Application->Terminated());
  const DWORD start = GetTickCount();
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(ev.log, (std::vector<std::string>{"show"}));
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  // The loop ended before the timer could fire.
  EXPECT_LT(GetTickCount() - start, 500u);
}

TEST_F(ApplicationTest, TerminateInsideATimerHandlerEndsRun) {
  Events ev;
  MakeMainForm(ev);
  const DWORD start = GetTickCount();
  Application->Run();
  EXPECT_EQ(ev.log, (std::vector<std::string>{"show", "timer"}));
  EXPECT_EQ(GetTickCount() - start, 500u);
  EXPECT_TRUE(Application->Terminated());
}

TEST_F(ApplicationTest, QuitSeenByProcessMessagesSetsTerminatedAfterEarlierMessages) {
  struct Sink {
    int got = 0;
    void Proc(TMessage& m) {
      if (m.Msg == WM_USER) ++got;
    }
  } sink;
  HWND w = AllocateHWnd(TWndMethod(&sink, &Sink::Proc));
  PostMessageW(w, WM_USER, 0, 0);
  PostQuitMessage(0);
  EXPECT_FALSE(Application->Terminated());
  Application->ProcessMessages();
  EXPECT_EQ(sink.got, 1);
  EXPECT_TRUE(Application->Terminated());
  DeallocateHWnd(w);
}

TEST_F(ApplicationTest, TimerRulesTable) {
  struct Counter {
    int n = 0;
    void Tick(TObject*) { ++n; }
  };
  struct Case {
    const char* name;
    UINT interval;
    bool enabled;
    bool handler;
    int advanceMs;
    int expected;
  } cases[] = {
      {"due intervals fire", 100, true, true, 350, 1},
      {"interval 0 never fires", 0, true, true, 1000, 0},
      {"disabled never fires", 100, false, true, 1000, 0},
      {"no handler: no system timer", 100, true, false, 1000, 0},
  };
  for (const auto& c : cases) {
    Counter counter;
    auto* t = new TTimer(nullptr);
    t->SetInterval(c.interval);
    t->SetEnabled(c.enabled);
    if (c.handler) t->SetOnTimer(TNotifyEvent(&counter, &Counter::Tick));
    EXPECT_EQ(t->Running(), c.expected > 0) << c.name;
    Clock().Advance(static_cast<uint64_t>(c.advanceMs));
    Application->ProcessMessages();
    // Due ticks of one timer arrive as one message per retrieval: process until quiet.
    for (int i = 0; i < 5; ++i) Application->ProcessMessages();
    EXPECT_EQ(counter.n > 0, c.expected > 0) << c.name;
    delete t;
  }
}

TEST_F(ApplicationTest, ReenablingATimerStartsTheIntervalAgain) {
  struct Counter {
    std::vector<DWORD> at;
    void Tick(TObject*) { at.push_back(GetTickCount()); }
  } counter;
  TTimer timer(nullptr);
  timer.SetInterval(100);
  timer.SetOnTimer(TNotifyEvent(&counter, &Counter::Tick));
  const DWORD start = GetTickCount();
  Clock().Advance(60);
  timer.SetEnabled(false);
  timer.SetEnabled(true);
  Clock().Advance(60);
  Application->ProcessMessages();
  EXPECT_TRUE(counter.at.empty());  // 120 ms in, but only 60 since the restart
  Clock().Advance(40);
  Application->ProcessMessages();
  ASSERT_EQ(counter.at.size(), 1u);
  EXPECT_EQ(counter.at[0] - start, 160u);
}

TEST_F(ApplicationTest, ExceptionsInHandlersBecomeMessageBoxesExceptAbort) {
  struct Thrower {
    int which = 0;
    void Tick(TObject* sender) {
      static_cast<TTimer*>(sender)->SetEnabled(false);
      if (which == 0) throw EConvertError(u"Valor inv\u00e1lido");
      if (which == 1) throw EAbort();
      throw Exception(u"Pronto!");
    }
  };
  Application->SetTitle(u"Atualizador Torvelix");
  for (int which : {0, 1, 2}) {
    Thrower th{which};
    TTimer t(nullptr);
    t.SetInterval(10);
    t.SetOnTimer(TNotifyEvent(&th, &Thrower::Tick));
    Clock().Advance(10);
    Application->ProcessMessages();
  }
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].caption, u"Atualizador Torvelix");
  EXPECT_EQ(boxes[0].text, u"Valor inv\u00e1lido.");
  EXPECT_EQ(boxes[0].flags, MB_OK | MB_ICONSTOP);
  EXPECT_EQ(boxes[1].text, u"Pronto!");  // no period after punctuation
}

TEST_F(ApplicationTest, OnExceptionTakesOverTheReport) {
  struct Handler {
    std::vector<String> seen;
    void OnException(TObject*, const Exception& e) { seen.push_back(e.Message()); }
    void Tick(TObject* sender) {
      static_cast<TTimer*>(sender)->SetEnabled(false);
      throw Exception(u"falha");
    }
  } h;
  Application->OnException = TExceptionEvent(&h, &Handler::OnException);
  TTimer t(nullptr);
  t.SetInterval(10);
  t.SetOnTimer(TNotifyEvent(&h, &Handler::Tick));
  Clock().Advance(10);
  Application->ProcessMessages();
  EXPECT_EQ(h.seen, (std::vector<String>{u"falha"}));
  EXPECT_TRUE(boxes.empty());
}

TEST_F(ApplicationTest, MessageBoxesAreCapturedWithNormalizedLineBreaks) {
  Application->SetTitle(u"Atualizador");
  ShowMessage(u"linha 1\rlinha 2\nlinha 3\r\nfim");
  boxAnswer = IDNO;
  EXPECT_EQ(Application->MessageBox(u"Continuar?", u"Pergunta", MB_YESNO | MB_ICONQUESTION), IDNO);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].caption, u"Atualizador");
  EXPECT_EQ(boxes[0].text, u"linha 1\r\nlinha 2\r\nlinha 3\r\nfim");
  EXPECT_EQ(boxes[0].flags, MB_OK);
  EXPECT_EQ(boxes[1].caption, u"Pergunta");
  EXPECT_EQ(boxes[1].flags, MB_YESNO | MB_ICONQUESTION);
}

TEST_F(ApplicationTest, HeadlessBoxWithoutHookAnswersWithTheDefaultButton) {
  TMessageBoxHook saved = SetMessageBoxHook(nullptr);
  ASSERT_TRUE(IsHeadlessDisplay());
  struct Case {
    UINT flags;
    int answer;
  } cases[] = {
      {MB_OK, IDOK},
      {MB_OKCANCEL, IDOK},
      {MB_YESNO | MB_DEFBUTTON2, IDNO},
      {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
      {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
      {MB_RETRYCANCEL, IDRETRY},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MessageBoxW(nullptr, u"texto", u"t\u00edtulo", c.flags), c.answer) << c.flags;
  SetMessageBoxHook(saved);
}

TEST_F(ApplicationTest, ExeNameHasATestSeam) {
  EXPECT_FALSE(Application->ExeName().empty());
  TApplication::SetExeNameForTesting(u"/opt/app/brackenvaleNFCe");
  EXPECT_EQ(Application->ExeName(), u"/opt/app/brackenvaleNFCe");
  TApplication::SetExeNameForTesting(u"");
  EXPECT_NE(Application->ExeName(), u"/opt/app/brackenvaleNFCe");
}

TEST_F(ApplicationTest, SynchronizeFromAWorkerWakesAndRunsInTheLoop) {
  struct Worker : TThread {
    int* ran;
    DWORD* onThread;
    explicit Worker(int* r, DWORD* t) : TThread(true), ran(r), onThread(t) {}
    void Execute() override {
      Synchronize([this] {
        ++*ran;
        *onThread = GetCurrentThreadId();
      });
    }
  };
  int ran = 0;
  DWORD thread = 0;
  std::unique_ptr<Worker> w(new Worker(&ran, &thread));
  w->Start();
  while (ran == 0) Application->HandleMessage();
  w->WaitFor();
  EXPECT_EQ(ran, 1);
  EXPECT_EQ(thread, GetCurrentThreadId());
}

TEST_F(ApplicationTest, CloseOfTheMainFormTerminates) {
  struct Closer {
    TCloseAction action = caHide;
    int asked = 0;
    void OnClose(TObject*, TCloseAction& a) {
      ++asked;
      a = action;
    }
  } closer;
  TForm* form = nullptr;
  Application->CreateForm(TForm::StaticClass(), form);
  form->OnClose = TCloseEvent(&closer, &Closer::OnClose);
  closer.action = caNone;
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  Application->ProcessMessages();
  EXPECT_FALSE(Application->Terminated());
  closer.action = caHide;
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  Application->ProcessMessages();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(closer.asked, 2);
  EXPECT_TRUE(IsWindow(form->Handle()));  // WM_CLOSE does not destroy a form
}

}  // namespace
}  // namespace qd::testing
