// Hybrid scroll bars: fading and expanding on the animation controller and the virtual clock,
// the collapse delay, and one active manager at a time.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "controls/controls_test_util.h"
#include "platform/forms/forms.h"
#include "ui/controls/cxHybridScrollBars.h"
#include "ui/lookandfeel/dxAnimation.h"

namespace qd::testing {
namespace {

class TFakeHybridOwner : public IdxHybridScrollbarOwner {
 public:
  explicit TFakeHybridOwner(TWinControl* AControl) : control(AControl) {}
  void CheckTouchScrollUIPosition() override { shown = true; }
  TWinControl* GetTouchScrolUIOwnerControl() override { return control; }
  bool HasVisibleTouchScrollUI() override { return shown; }
  void HideTouchScrollUIDirectly() override { shown = false; }
  TColor GetHybridScrollbarBaseColor() override { return clBlack; }
  void InvalidateScrollbars() override { ++invalidations; }
  TdxHybridScrollbarsManager* GetHybridScrollbarsManager() override { return nullptr; }

  TWinControl* control;
  bool shown = false;
  int invalidations = 0;
};

class HybridScrollBarsTest : public BaseControlTest {
 protected:
  void SetUp() override {
    BaseControlTest::SetUp();
    form = NewPlainForm(200, 200);
    form->Show();
    Pump();
    owner = std::make_unique<TFakeHybridOwner>(form);
    manager = std::make_unique<TdxHybridScrollbarsManager>(owner.get());
  }
  void TearDown() override {
    manager.reset();
    dxAnimation::Finalize();
    BaseControlTest::TearDown();
  }

  TForm* form = nullptr;
  std::unique_ptr<TFakeHybridOwner> owner;
  std::unique_ptr<TdxHybridScrollbarsManager> manager;
  TObject bar;
};

TEST_F(HybridScrollBarsTest, BarsFadeInForASecondAndFadeOutASecondAfterTheLastActivity) {
  manager->Show(true);
  EXPECT_TRUE(owner->shown);
  EXPECT_TRUE(manager->AllowVisible());
  EXPECT_TRUE(TdxHybridScrollbarManagers::IsActive(manager.get()));
  // The fade slows down towards its end: its state tells when it is over.
  Run(500);
  EXPECT_GT(manager->FadingValue(), 0);
  EXPECT_LT(manager->FadingValue(), 255);
  Run(499);
  EXPECT_EQ(manager->FadingState(), fstShowing);
  EXPECT_FALSE(manager->IsWaitingForHide());
  Run(1);
  EXPECT_EQ(manager->FadingState(), fstNone);
  EXPECT_EQ(manager->FadingValue(), 255);
  EXPECT_TRUE(manager->IsWaitingForHide());
  Run(1000);
  EXPECT_EQ(manager->FadingState(), fstHiding);
  Run(500);
  // Shown again while fading out: the fade-in covers what is left, in proportion to the whole
  // second.
  const int value = manager->FadingValue();
  ASSERT_GT(value, 0);
  ASSERT_LT(value, 255);
  manager->Show(true);
  const int duration = static_cast<int>(std::nearbyint((255 - value) * 1000.0 / 255));
  // (Within the animation controller's frame.)
  Run(duration - 10);
  EXPECT_EQ(manager->FadingState(), fstShowing);
  Run(20);
  EXPECT_EQ(manager->FadingState(), fstNone);
  EXPECT_EQ(manager->FadingValue(), 255);
  EXPECT_TRUE(owner->shown);

  // Held (not timed) bars do not hide until released.
  manager->Show(false);
  Run(3000);
  EXPECT_TRUE(owner->shown);
  manager->Hide(false, true);
  Run(1000 + 1000);
  EXPECT_FALSE(owner->shown);
  EXPECT_FALSE(manager->AllowVisible());
  EXPECT_FALSE(TdxHybridScrollbarManagers::IsActive(manager.get()));
}

TEST_F(HybridScrollBarsTest, ABarExpandsIn100MillisecondsAndCollapsesHalfASecondAfterTheMouseLeaves) {
  manager->Expand(&bar);
  EXPECT_TRUE(manager->IsActive(&bar));
  Run(50);
  EXPECT_NEAR(manager->VisibleSize(), 50, 2);
  Run(50);
  EXPECT_EQ(manager->VisibleSize(), 100);
  manager->Collapse();
  Run(499);
  EXPECT_EQ(manager->VisibleSize(), 100);
  EXPECT_TRUE(manager->IsWaitingForCollapse());
  // Back within the half second: the collapse is cancelled.
  manager->Expand(&bar);
  EXPECT_FALSE(manager->IsWaitingForCollapse());
  Run(2000);
  EXPECT_EQ(manager->VisibleSize(), 100);
  EXPECT_TRUE(owner->shown);  // the mouse is still over it

  manager->Collapse();
  Run(500);
  Run(100);
  EXPECT_EQ(manager->VisibleSize(), 0);
  EXPECT_FALSE(manager->IsActive(&bar));
  // Collapsed with no lock left: the bars fade out a second later.
  Run(1000 + 1000);
  EXPECT_FALSE(owner->shown);
}

TEST_F(HybridScrollBarsTest, ShowingASecondControlsBarsFadesTheFirstOnesOut) {
  manager->Show(true);
  Run(1000);
  TFakeHybridOwner otherOwner(form);
  auto other = std::make_unique<TdxHybridScrollbarsManager>(&otherOwner);
  other->Show(true);
  EXPECT_TRUE(TdxHybridScrollbarManagers::IsActive(other.get()));
  EXPECT_EQ(manager->FadingState(), fstHiding);
  Run(1000);
  EXPECT_FALSE(owner->shown);
  EXPECT_TRUE(otherOwner.shown);

  // A manager freed while it fades leaves the list and is not called again.
  Run(1000);
  other.reset();
  Run(2000);
  EXPECT_FALSE(TdxHybridScrollbarManagers::IsActive(nullptr));
}

TEST_F(HybridScrollBarsTest, DisablingTheWindowHidesTheBarsAtOnce) {
  manager->Show(true);
  Run(1000);
  EnableWindow(form->Handle(), FALSE);
  EXPECT_FALSE(owner->shown);
  EXPECT_EQ(manager->FadingValue(), 0);
  EnableWindow(form->Handle(), TRUE);
  EXPECT_FALSE(owner->shown);
}

}  // namespace
}  // namespace qd::testing
