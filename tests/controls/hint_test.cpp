// Hints: the library's hint windows (animation rules on the virtual clock, desktop clamp,
// window style, size and text), the hint controller with style controllers, and the
// per-element hint helper's timing.
#include <string>

#include "controls_test_util.h"
#include "platform/display/input.h"
#include "platform/forms/stdctrls.h"
#include "ui/controls/cxHint.h"

namespace qd::testing {
namespace {

class HintTest : public BaseControlTest {
 protected:
  void SetUp() override {
    BaseControlTest::SetUp();
    cxHint::Initialize();
    SetTooltipSettings(true, true);
  }
  void TearDown() override {
    SetTooltipSettings(true, true);
    cxHint::Finalize();
    BaseControlTest::TearDown();
  }
  static void SetTooltipSettings(bool AAnimation, bool AFade) {
    SystemParametersInfoW(SPI_SETTOOLTIPANIMATION, 0,
                          reinterpret_cast<void*>(static_cast<uintptr_t>(AAnimation)), 0);
    SystemParametersInfoW(SPI_SETTOOLTIPFADE, 0, reinterpret_cast<void*>(static_cast<uintptr_t>(AFade)), 0);
  }
  static TRect WindowRect(HWND AWnd) {
    TRect r;
    GetWindowRect(AWnd, &r);
    return r;
  }
};

// --- Hint windows --------------------------------------------------------------------------------

TEST_F(HintTest, AnimationFollowsTheStyleTheSystemSettingsTheTextLengthAndThePauseSinceTheLastShow) {
  const String shortText = u"Hint";
  const String longText(100, u'x');
  struct Case {
    const char* name;
    TcxHintAnimationStyle style;
    bool tooltipAnimation, tooltipFade;
    String text;
    DWORD flags;  // 0: no animation
  };
  const Case cases[] = {
      {"auto with fade", cxhaAuto, true, true, shortText, AW_BLEND | AW_SLIDE},
      {"auto without fade", cxhaAuto, true, false, shortText, AW_VER_POSITIVE | AW_SLIDE},
      {"slide from left", cxhaSlideFromLeft, true, true, shortText, AW_HOR_POSITIVE | AW_SLIDE},
      {"slide upward", cxhaSlideUpward, true, false, shortText, AW_VER_NEGATIVE | AW_SLIDE},
      {"from centre", cxhaSlideFromCenter, true, true, shortText, AW_CENTER | AW_SLIDE},
      {"none", cxhaNone, true, true, shortText, 0},
      {"tooltip animation off", cxhaSlideFromLeft, false, true, shortText, 0},
      {"tooltip animation off, auto", cxhaAuto, false, true, shortText, 0},
      {"100 characters", cxhaFadeIn, true, true, longText, 0},
      {"99 characters", cxhaFadeIn, true, true, String(99, u'x'), AW_BLEND | AW_SLIDE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetTooltipSettings(c.tooltipAnimation, c.tooltipFade);
    TcxBaseHintWindow window(nullptr);
    window.SetAnimationStyle(c.style);
    window.ActivateHint(TRect{100, 100, 200, 120}, c.text);
    EXPECT_EQ(window.HasAnimation(), c.flags != 0);
    EXPECT_EQ(window.LastAnimationFlags(), c.flags);
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
  }
}

TEST_F(HintTest, ASecondActivationWithin250msIsNotAnimatedALaterOneIs) {
  TcxBaseHintWindow window(nullptr);
  window.ActivateHint(TRect{100, 100, 200, 120}, u"one");
  EXPECT_TRUE(window.HasAnimation());
  Run(250, 50);
  window.ActivateHint(TRect{100, 100, 200, 120}, u"two");
  EXPECT_FALSE(window.HasAnimation());
  Run(251, 251);
  window.ActivateHint(TRect{100, 100, 200, 120}, u"three");
  EXPECT_TRUE(window.HasAnimation());
  EXPECT_EQ(window.AnimationDelay(), 100);
}

TEST_F(HintTest, AHintWindowPartlyOutsideTheWorkAreaIsMovedInside) {
  const TRect work = Screen->WorkAreaRect();
  struct Case {
    TRect asked, expected;
  };
  const Case cases[] = {
      {TRect{work.Right - 50, 200, work.Right + 50, 220}, TRect{work.Right - 100, 200, work.Right, 220}},
      {TRect{300, work.Bottom - 10, 400, work.Bottom + 20}, TRect{300, work.Bottom - 30, 400, work.Bottom}},
      {TRect{work.Left - 30, work.Top - 5, work.Left + 70, work.Top + 15},
       TRect{work.Left, work.Top, work.Left + 100, work.Top + 20}},
      {TRect{300, 300, 400, 320}, TRect{300, 300, 400, 320}},
  };
  for (const Case& c : cases) {
    TcxBaseHintWindow window(nullptr);
    window.SetBoundsRect(c.asked);
    EXPECT_EQ(window.BoundsRect(), c.expected);
  }
}

TEST_F(HintTest, TheWindowIsTopmostAndLosesItsBorderWithoutABorderStyle) {
  TcxBaseHintWindow bordered(nullptr);
  bordered.ActivateHint(TRect{100, 100, 200, 120}, u"a");
  EXPECT_NE(GetWindowLongW(bordered.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_NE(GetWindowLongW(bordered.Handle(), GWL_STYLE) & WS_BORDER, 0);
  EXPECT_NE(GetActiveWindow(), bordered.Handle());  // shown without activation

  TcxBaseHintWindow borderless(nullptr);
  borderless.SetBorderStyle(bsNone);
  borderless.ActivateHint(TRect{100, 100, 200, 120}, u"a");
  EXPECT_EQ(GetWindowLongW(borderless.Handle(), GWL_STYLE) & WS_BORDER, 0);
}

TEST_F(HintTest, ActivationShowsTheTextAtTheRectangleAndDrawsIt) {
  TcxBaseHintWindow window(nullptr);
  const TRect calc = window.CalcHintRect(300, u"Quarrendelvish hint", nullptr);
  EXPECT_GT(calc.Width(), 6);
  EXPECT_GT(calc.Height(), 2);
  const TRect r{200, 150, 200 + calc.Width(), 150 + calc.Height()};
  window.ActivateHint(r, u"Quarrendelvish hint");
  EXPECT_EQ(window.Caption(), u"Quarrendelvish hint");
  EXPECT_EQ(WindowRect(window.Handle()), r);
  EXPECT_TRUE(window.HintAreaBounds().IsEmpty());
  UpdateWindow(window.Handle());
  Pump();
  SaveWindowPng(window.Handle(), "hint_window");
  const os::WindowPixels px = os::ReadWindowPixels(window.Handle(), true);
  // The info-background colour inside, and some darker text pixels.
  const COLORREF bk = ColorToRGB(clInfoBk);
  auto at = [&](int x, int y) { return px.pixels[static_cast<size_t>(y) * px.width + x] & 0xFFFFFF; };
  const uint32_t bkPixel = (GetRValue(bk) << 16) | (GetGValue(bk) << 8) | GetBValue(bk);
  EXPECT_EQ(at(1, 1), bkPixel);
  int dark = 0;
  for (int y = 0; y < px.height; ++y)
    for (int x = 1; x < px.width - 1; ++x)
      if (((at(x, y) >> 8) & 0xFF) < 0x80) ++dark;
  EXPECT_GT(dark, 20);
}

TEST_F(HintTest, AStandardHintBehavesLikeThePlatformsWindow) {
  TcxBaseHintWindow window(nullptr);
  window.SetStandardHint(true);
  window.ActivateHint(TRect{100, 100, 200, 120}, u"plain");
  EXPECT_FALSE(window.HasAnimation());
  // The platform's window grows by 4 pixels at the bottom.
  EXPECT_EQ(WindowRect(window.Handle()), (TRect{100, 100, 200, 124}));
}

// --- Style controllers and the hint controller -----------------------------------------------------

class TTestHintWindowA : public TcxCustomHintWindow {
  QD_CLASS_INLINE(TTestHintWindowA, TcxCustomHintWindow)
 public:
  using TcxCustomHintWindow::TcxCustomHintWindow;
};
class TTestHintWindowB : public TcxCustomHintWindow {
  QD_CLASS_INLINE(TTestHintWindowB, TcxCustomHintWindow)
 public:
  using TcxCustomHintWindow::TcxCustomHintWindow;
};
class TTestHintStyleA : public TcxCustomHintStyle {
  QD_CLASS_INLINE(TTestHintStyleA, TcxCustomHintStyle)
 public:
  using TcxCustomHintStyle::TcxCustomHintStyle;
  TClass GetHintWindowClass() override { return TTestHintWindowA::StaticClass(); }
  void DoShowHint(String& AHintStr, bool& ACanShow, THintInfo&) override {
    AHintStr = u"[" + AHintStr + u"]";
  }
};
class TTestHintStyleB : public TcxCustomHintStyle {
  QD_CLASS_INLINE(TTestHintStyleB, TcxCustomHintStyle)
 public:
  using TcxCustomHintStyle::TcxCustomHintStyle;
  TClass GetHintWindowClass() override { return TTestHintWindowB::StaticClass(); }
};

struct AppHintSink {
  int calls = 0;
  void Handler(String& HintStr, bool& CanShow, THintInfo&) { ++calls; }
};

TEST_F(HintTest, StyleControllersTakeOverTheApplicationsHintsAndGiveThemBackInOrder) {
  AppHintSink sink;
  Application->OnShowHint = TShowHintEvent(&sink, &AppHintSink::Handler);
  const TClass platformClass = Application->HintWindowClass();

  auto* first = new TcxCustomHintStyleController(nullptr);
  first->SetHintStyleClass(TTestHintStyleA::StaticClass());
  EXPECT_EQ(Application->HintWindowClass(), TTestHintWindowA::StaticClass());
  EXPECT_NE(Application->OnShowHint, TShowHintEvent(&sink, &AppHintSink::Handler));
  ASSERT_NE(first->HintWindow(), nullptr);
  EXPECT_EQ(first->HintWindow()->ClassType(), TTestHintWindowA::StaticClass());

  auto* second = new TcxCustomHintStyleController(nullptr);
  second->SetHintStyleClass(TTestHintStyleB::StaticClass());
  EXPECT_EQ(Application->HintWindowClass(), TTestHintWindowB::StaticClass());
  // The most recently registered global controller applies where no control names one.
  EXPECT_EQ(cxGetHintStyleController(), second);
  EXPECT_EQ(cxGetHintWindowClass(), TTestHintWindowB::StaticClass());

  delete first;
  EXPECT_EQ(Application->HintWindowClass(), TTestHintWindowB::StaticClass());
  EXPECT_EQ(cxGetHintStyleController(), second);

  // The show-hint event still reaches the application's own handler meanwhile.
  String text = u"t";
  bool canShow = true;
  THintInfo info;
  Application->OnShowHint(text, canShow, info);
  EXPECT_EQ(sink.calls, 1);
  EXPECT_EQ(info.HintWindowClass, TTestHintWindowB::StaticClass());

  delete second;
  EXPECT_EQ(Application->HintWindowClass(), platformClass);
  EXPECT_EQ(Application->OnShowHint, TShowHintEvent(&sink, &AppHintSink::Handler));
  EXPECT_EQ(cxGetHintStyleController(), nullptr);
  Application->OnShowHint = TShowHintEvent();
}

TEST_F(HintTest, TheStyleControllerOfTheHintedControlsParentIsPreferredToTheGlobalOne) {
  TForm* form = NewPlainForm();
  auto* local = new TcxCustomHintStyleController(form);
  local->SetHintStyleClass(TTestHintStyleA::StaticClass());
  local->SetGlobal(false);
  TcxCustomHintStyleController global(nullptr);
  global.SetHintStyleClass(TTestHintStyleB::StaticClass());
  auto* child = new TButton(form);
  child->SetParent(form);

  String text = u"child";
  bool canShow = true;
  THintInfo info;
  info.HintControl = child;
  Application->OnShowHint(text, canShow, info);
  EXPECT_EQ(info.HintWindowClass, TTestHintWindowA::StaticClass());
  EXPECT_EQ(text, u"[child]");  // the local style's DoShowHint ran
  EXPECT_EQ(dxHintController()->HintedControl(), child);

  // Once the control is gone the global controller answers.
  delete child;
  EXPECT_EQ(dxHintController()->HintedControl(), nullptr);
  String other = u"other";
  THintInfo otherInfo;
  Application->OnShowHint(other, canShow, otherInfo);
  EXPECT_EQ(otherInfo.HintWindowClass, TTestHintWindowB::StaticClass());
  delete form;
}

TEST_F(HintTest, AStyleControllerWithoutAKnownStyleClassHasNoStyleAndStillHandlesHints) {
  // No hint style class is registered in this system: an unknown stored name gives none.
  TcxCustomHintStyleController controller(nullptr);
  controller.SetHintStyleClassName(u"TcxHintStyle");
  EXPECT_EQ(controller.HintStyle(), nullptr);
  EXPECT_EQ(controller.HintWindow(), nullptr);
  EXPECT_EQ(controller.HintStyleClassName(), u"");
  // The application had no show-hint event before: the handler must not call a missing one.
  String text = u"x";
  bool canShow = true;
  THintInfo info;
  ASSERT_TRUE(Application->OnShowHint);
  Application->OnShowHint(text, canShow, info);
  EXPECT_TRUE(canShow);
  EXPECT_EQ(cxGetHintWindowClass(), THintWindow::StaticClass());  // never no class at all

  cxRegisteredHintStyles()->Register(TTestHintStyleA::StaticClass(), u"Test");
  controller.SetHintStyleClassName(u"TTestHintStyleA");
  ASSERT_NE(controller.HintStyle(), nullptr);
  EXPECT_EQ(controller.HintStyleClassName(), u"TTestHintStyleA");
}

TEST_F(HintTest, PausesReachTheApplicationOutsideUpdatesAndShowHintExSetsTheCaption) {
  TcxCustomHintStyleController controller(nullptr);
  controller.SetHintStyleClass(TTestHintStyleA::StaticClass());
  controller.SetHintPause(700);
  EXPECT_EQ(Application->HintPause(), 700);
  controller.BeginUpdate();
  controller.SetHintShortPause(10);
  controller.SetHintHidePause(9000);
  EXPECT_EQ(Application->HintShortPause(), 50);
  controller.EndUpdate();
  EXPECT_EQ(Application->HintShortPause(), 10);
  EXPECT_EQ(Application->HintHidePause(), 9000);

  struct Ex {
    void Handler(TObject*, String& Caption, String& HintStr, bool&, THintInfo&) { Caption = u"Title"; }
  } ex;
  controller.OnShowHintEx = TcxShowHintExEvent(&ex, &Ex::Handler);
  String text = u"body";
  bool canShow = true;
  THintInfo info;
  controller.DoShowHint(text, canShow, info);
  EXPECT_EQ(controller.HintWindow()->Caption(), u"Title");
}

TEST_F(HintTest, TheApplicationShowsItsHintAfterTheControllersPauseInTheControllersWindow) {
  TcxCustomHintStyleController controller(nullptr);
  controller.SetHintStyleClass(TTestHintStyleA::StaticClass());
  controller.SetHintPause(300);
  TForm* form = NewPlainForm();
  form->SetHint(u"Form hint");
  form->SetShowHint(true);
  form->Show();
  Pump();
  os::InjectMouseMove(POINT{150, 150});
  Pump();
  Run(250, 10);
  EXPECT_FALSE(Application->HintShowing());
  Run(100, 10);
  ASSERT_TRUE(Application->HintShowing());
  ASSERT_NE(Application->HintWindow(), nullptr);
  EXPECT_EQ(Application->HintWindow()->ClassType(), TTestHintWindowA::StaticClass());
  EXPECT_EQ(Application->HintWindow()->Caption(), u"[Form hint]");
  delete form;
}

// --- The per-element hint helper ---------------------------------------------------------------

class TTestHintHelper : public TcxCustomHintHelper {
 public:
  explicit TTestHintHelper(TWinControl* AOwner) : FOwner(AOwner) {}
  TWinControl* GetOwnerWinControl() override { return FOwner; }

 private:
  TWinControl* FOwner;
};

class HintHelperTest : public HintTest {
 protected:
  void SetUp() override {
    HintTest::SetUp();
    form = NewPlainForm(300, 200);
    form->Show();
    Pump();
    SetCursorPos(150, 150);
    Pump();
    helper = std::make_unique<TTestHintHelper>(form);
  }
  void TearDown() override {
    helper.reset();
    delete form;
    HintTest::TearDown();
  }
  bool HintVisible() { return helper->HintWindow() && IsWindowVisible(helper->HintWindow()->Handle()); }
  void ShowFor(TObject* AElement, const String& AText, const TRect& ATextRect = TRect{10, 10, 120, 30}) {
    helper->ShowHint(TRect{0, 0, 300, 200}, ATextRect, nullptr, AElement, false, AText);
  }

  TForm* form = nullptr;
  std::unique_ptr<TTestHintHelper> helper;
  TObject elementA, elementB;
};

TEST_F(HintHelperTest, AHintShowsAtTheTextRectangleAndTheSameOneAgainChangesNothing) {
  ShowFor(&elementA, u"Element hint");
  ASSERT_TRUE(HintVisible());
  EXPECT_EQ(helper->HintableObject(), &elementA);
  EXPECT_TRUE(helper->HintCheckerRunning());
  EXPECT_FALSE(helper->HintHideTimerRunning());  // an element's hint stays while the mouse does
  const TRect first = WindowRect(helper->HintWindow()->Handle());
  // Placed at the text rectangle's top-left on screen, widened by the window's frame.
  EXPECT_LE(first.Left, 100 + 10);
  EXPECT_GE(first.Left, 100 + 10 - 4);
  THintWindow* window = helper->HintWindow();
  ShowFor(&elementA, u"Element hint");
  EXPECT_EQ(helper->HintWindow(), window);
  EXPECT_EQ(WindowRect(window->Handle()), first);

  // Another element replaces it.
  ShowFor(&elementB, u"Other");
  EXPECT_EQ(helper->HintableObject(), &elementB);
  EXPECT_EQ(helper->HintWindow()->Caption(), u"Other");
}

TEST_F(HintHelperTest, APressedMouseButtonHidesTheHintAtTheNextCheckerTick) {
  ShowFor(&elementA, u"Element hint");
  ASSERT_TRUE(HintVisible());
  os::InjectMouseButton(WM_LBUTTONDOWN, POINT{150, 150});
  Pump();
  Run(100, 10);
  EXPECT_FALSE(HintVisible());
  EXPECT_EQ(helper->HintableObject(), nullptr);
  EXPECT_FALSE(helper->HintCheckerRunning());
  os::InjectMouseButton(WM_LBUTTONUP, POINT{150, 150});
  Pump();
}

TEST_F(HintHelperTest, AHintWithoutAnElementGoesAfterTheHidePause) {
  Application->SetHintHidePause(1000);
  ShowFor(nullptr, u"Area hint");
  ASSERT_TRUE(HintVisible());
  EXPECT_TRUE(helper->HintHideTimerRunning());
  Run(900, 50);
  EXPECT_TRUE(HintVisible());
  Run(150, 50);
  EXPECT_FALSE(HintVisible());
  // The same text again does not come back by itself while its pause holds.
  ShowFor(nullptr, u"Area hint");
  EXPECT_FALSE(HintVisible());
}

TEST_F(HintHelperTest, LeavingTheFormCancelsTheHint) {
  ShowFor(&elementA, u"Element hint");
  ASSERT_TRUE(HintVisible());
  SetCursorPos(900, 700);
  Run(120, 10);
  EXPECT_FALSE(HintVisible());
}

TEST_F(HintTest, TheHintControllerLivesBetweenTheUnitsStartUpAndShutDown) {
  ASSERT_NE(dxHintController(), nullptr);
  cxHint::Finalize();
  EXPECT_EQ(dxHintController(), nullptr);
  // A controller created while the unit is down registers nowhere and changes nothing.
  {
    TcxCustomHintStyleController controller(nullptr);
    controller.SetHintStyleClass(TTestHintStyleA::StaticClass());
    EXPECT_FALSE(Application->OnShowHint);
  }
  cxHint::Initialize();
  EXPECT_NE(dxHintController(), nullptr);
}

}  // namespace
}  // namespace qd::testing
