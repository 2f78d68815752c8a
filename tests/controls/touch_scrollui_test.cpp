// The touch scroll UI: which moves count as activity, the one-second hiding on the virtual
// clock, hiding locks, owners taking over, and the hook that hides the UI with its window.
#include <gtest/gtest.h>

#include <memory>

#include "controls/controls_test_util.h"
#include "platform/forms/forms.h"
#include "ui/controls/cxTouchScrollUI.h"

namespace qd::testing {
namespace {

class TFakeTouchOwner : public IdxTouchScrollUIOwner {
 public:
  explicit TFakeTouchOwner(TWinControl* AControl) : control(AControl) {}
  ~TFakeTouchOwner() override { TdxTouchScrollUIModeManager::Deactivate(this); }
  void CheckTouchScrollUIPosition() override {
    ++positionChecks;
    shown = true;
  }
  TWinControl* GetTouchScrolUIOwnerControl() override { return control; }
  bool HasVisibleTouchScrollUI() override { return shown; }
  void HideTouchScrollUIDirectly() override { shown = false; }

  TWinControl* control;
  int positionChecks = 0;
  bool shown = false;
};

class TouchScrollUITest : public BaseControlTest {
 protected:
  void SetUp() override {
    BaseControlTest::SetUp();
    form = NewPlainForm(200, 200);
    form->Show();
    Pump();
    owner = std::make_unique<TFakeTouchOwner>(form);
  }
  void TearDown() override {
    owner.reset();
    TdxTouchScrollUIModeManager::Finalize();
    BaseControlTest::TearDown();
  }
  bool Visible(IdxTouchScrollUIOwner* AOwner) {
    return !TdxTouchScrollUIModeManager::IsScrollUIHidden(AOwner);
  }

  TForm* form = nullptr;
  std::unique_ptr<TFakeTouchOwner> owner;
};

TEST_F(TouchScrollUITest, MovesOfTenPixelsCountAsActivity) {
  TdxTouchScrollUIActivityHelper helper;
  auto move = [&](int X, int Y) {
    SetCursorPos(X, Y);
    TMessage m{WM_MOUSEMOVE, 0, MAKELPARAM(X - 100, Y - 100), 0};
    return helper.CheckScrollActivity(form, m);
  };
  EXPECT_FALSE(move(150, 150));  // the first move after entering only records the position
  EXPECT_FALSE(move(159, 150));
  EXPECT_FALSE(move(150, 141));
  EXPECT_TRUE(move(160, 150));
  EXPECT_FALSE(move(151, 150));  // measured from the new position
  EXPECT_TRUE(move(160, 160));
  TMessage leave{CM_MOUSELEAVE, 0, 0, 0};
  EXPECT_FALSE(helper.CheckScrollActivity(form, leave));
  EXPECT_FALSE(move(190, 190));  // entering again records first
}

TEST_F(TouchScrollUITest, TimedShowHidesOneSecondAfterTheLastActivity) {
  TdxTouchScrollUIModeManager::ShowScrollUI(owner.get(), true);
  EXPECT_TRUE(owner->shown);
  EXPECT_TRUE(Visible(owner.get()));
  Run(600);
  TdxTouchScrollUIModeManager::ShowScrollUI(owner.get(), true);  // more activity restarts the wait
  EXPECT_EQ(owner->positionChecks, 1);
  Run(999);
  EXPECT_TRUE(owner->shown);
  Run(1);
  EXPECT_FALSE(owner->shown);
  EXPECT_FALSE(Visible(owner.get()));
}

TEST_F(TouchScrollUITest, APressedBarStaysUntilItsLockIsReleased) {
  TdxTouchScrollUIModeManager::ShowScrollUI(owner.get(), false);  // button down on a bar
  TdxTouchScrollUIModeManager::LockOwner();
  Run(3000);
  EXPECT_TRUE(owner->shown);
  // While the owner is locked another control cannot take over.
  TFakeTouchOwner other(form);
  TdxTouchScrollUIModeManager::ShowScrollUI(&other, true);
  EXPECT_TRUE(TdxTouchScrollUIModeManager::IsActive(owner.get()));
  TdxTouchScrollUIModeManager::UnlockOwner();
  TdxTouchScrollUIModeManager::HideScrollUI(owner.get(), false);  // the capture ended
  Run(999);
  EXPECT_TRUE(owner->shown);
  Run(1);
  EXPECT_FALSE(owner->shown);
  EXPECT_EQ(TdxTouchScrollUIModeManager::HidingLockCount(), 0);
  TdxTouchScrollUIModeManager::HideScrollUI(owner.get(), false);
  EXPECT_EQ(TdxTouchScrollUIModeManager::HidingLockCount(), 0);  // never below zero
}

TEST_F(TouchScrollUITest, AnotherOwnerTakesOverAndAFreedOwnerIsForgotten) {
  TdxTouchScrollUIModeManager::ShowScrollUI(owner.get(), true);
  auto other = std::make_unique<TFakeTouchOwner>(form);
  TdxTouchScrollUIModeManager::ShowScrollUI(other.get(), true);
  EXPECT_FALSE(owner->shown);  // hidden at once
  EXPECT_TRUE(other->shown);
  EXPECT_TRUE(TdxTouchScrollUIModeManager::IsActive(other.get()));
  // The active owner goes away before its UI hides: the timer must not reach it.
  other.reset();
  Run(1500);
  EXPECT_FALSE(TdxTouchScrollUIModeManager::IsActive(nullptr));
  TdxTouchScrollUIModeManager::ShowScrollUI(owner.get(), true);
  EXPECT_TRUE(owner->shown);

  // Showing is refused for an owner whose window is not visible.
  TForm* hidden = NewPlainForm();
  TFakeTouchOwner invisible(hidden);
  TdxTouchScrollUIModeManager::ShowScrollUI(&invisible, true);
  EXPECT_FALSE(invisible.shown);
  EXPECT_TRUE(TdxTouchScrollUIModeManager::IsActive(owner.get()));
}

TEST_F(TouchScrollUITest, DisablingOrHidingTheWindowHidesTheUIAtOnce) {
  TdxTouchScrollUIModeManager::ShowScrollUI(owner.get(), true);
  EnableWindow(form->Handle(), TRUE);
  EXPECT_TRUE(owner->shown);
  EnableWindow(form->Handle(), FALSE);
  EXPECT_FALSE(owner->shown);
  EnableWindow(form->Handle(), TRUE);
  EXPECT_FALSE(owner->shown);

  TdxTouchScrollUIModeManager::ShowScrollUI(owner.get(), true);
  const int checks = owner->positionChecks;
  SetWindowPos(form->Handle(), nullptr, 150, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_GT(owner->positionChecks, checks);  // the bars follow a moved window
  ShowWindow(form->Handle(), SW_HIDE);
  EXPECT_FALSE(owner->shown);
}

}  // namespace
}  // namespace qd::testing
