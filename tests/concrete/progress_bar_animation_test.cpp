// The progress bar's 30 ms animation on the virtual clock: the block's steps, the cycle and
// ping-pong paths, the restart delay, speed changes, and the marquee block on screen.
#include <gtest/gtest.h>

#include <vector>

#include "concrete/progress_bar_test_util.h"

namespace qd::testing {
namespace {

class ProgressBarAnimation : public ProgressBarTest {
 protected:
  void SetUp() override {
    ProgressBarTest::SetUp();
    Props()->SetShowText(false);
  }
  // The animation style with a full bar, so that the block runs over the whole content.
  void StartAnimated(TcxProgressBarAnimationPath APath = cxapCycle, uint8_t ASpeed = 10) {
    Props()->SetAnimationPath(APath);
    Props()->SetAnimationSpeed(ASpeed);
    Props()->SetBarStyle(cxbsAnimation);
    bar->SetPosition(100);
    Repaint();
  }
  int Extent() { return Info()->ProgressBarRect.Width(); }
  static constexpr int kBlock = 50;
};

TEST_F(ProgressBarAnimation, BlockMovesTwiceTheSpeedEveryThirtyMilliseconds) {
  struct Case {
    uint8_t speed;
    int afterOneTick;
  } cases[] = {{1, 2}, {10, 20}, {20, 40}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.speed);
    Props()->SetBarStyle(cxbsSolid);
    StartAnimated(cxapCycle, c.speed);
    ASSERT_TRUE(Info()->AnimationTimerRunning());
    EXPECT_EQ(Info()->AnimationPosition(), 0);
    Run(29);
    EXPECT_EQ(Info()->AnimationPosition(), 0);
    Run(1);
    EXPECT_EQ(Info()->AnimationPosition(), c.afterOneTick);
    Run(60);
    EXPECT_EQ(Info()->AnimationPosition(), 3 * c.afterOneTick);
  }
}

TEST_F(ProgressBarAnimation, CycleRestartsAfterTheBlockLeftTheBar) {
  StartAnimated(cxapCycle, 20);
  const int length = Extent() + kBlock;
  std::vector<int> positions;
  for (int tick = 0; tick < 12; ++tick) {
    Run(30);
    positions.push_back(Info()->AnimationPosition());
  }
  // 40 per tick until the position would pass the extent plus the block, then 0 again.
  const int ticksToWrap = length / 40 + 1;
  ASSERT_LT(ticksToWrap, 12);
  EXPECT_EQ(positions[static_cast<size_t>(ticksToWrap - 2)], 40 * (ticksToWrap - 1));
  EXPECT_EQ(positions[static_cast<size_t>(ticksToWrap - 1)], 0);
  EXPECT_EQ(positions[static_cast<size_t>(ticksToWrap)], 40);
}

TEST_F(ProgressBarAnimation, RestartDelayHoldsTheBlockAtTheStart) {
  Props()->SetAnimationRestartDelay(100);
  StartAnimated(cxapCycle, 20);
  const int length = Extent() + kBlock;
  const int ticksToWrap = length / 40 + 1;
  Run(30 * static_cast<uint64_t>(ticksToWrap));
  ASSERT_EQ(Info()->AnimationPosition(), 0);
  EXPECT_TRUE(Info()->RestartDelayRunning());
  // Three ticks fall inside the 100 ms delay; the next one moves again.
  Run(90);
  EXPECT_EQ(Info()->AnimationPosition(), 0);
  Run(30);
  EXPECT_FALSE(Info()->RestartDelayRunning());
  EXPECT_EQ(Info()->AnimationPosition(), 40);
}

TEST_F(ProgressBarAnimation, PingPongTurnsAtTheEndAndAtTheStart) {
  StartAnimated(cxapPingPong, 20);
  const int length = Extent() - kBlock;
  int previous = 0;
  bool turned = false;
  for (int tick = 0; tick < 40 && !turned; ++tick) {
    Run(30);
    const int position = Info()->AnimationPosition();
    if (Info()->AnimationDirection() < 0) {
      EXPECT_EQ(position, length);
      EXPECT_GT(previous + 40, length);
      turned = true;
    }
    previous = position;
  }
  ASSERT_TRUE(turned);
  Run(30);
  EXPECT_EQ(Info()->AnimationPosition(), length - 40);
  // Back below 0: forward again from the start.
  for (int tick = 0; tick < 40 && Info()->AnimationDirection() < 0; ++tick) Run(30);
  EXPECT_EQ(Info()->AnimationDirection(), 1);
  EXPECT_EQ(Info()->AnimationPosition(), 0);
}

TEST_F(ProgressBarAnimation, SpeedZeroStopsAndAnyOtherStyleEndsTheTimer) {
  StartAnimated(cxapCycle, 10);
  Run(30);
  ASSERT_EQ(Info()->AnimationPosition(), 20);
  Props()->SetAnimationSpeed(0);
  Run(90);
  EXPECT_EQ(Info()->AnimationPosition(), 20);
  EXPECT_FALSE(Info()->AnimationTimerRunning());
  // A new speed starts the animation again from the beginning.
  Props()->SetAnimationSpeed(5);
  Run(30);
  EXPECT_EQ(Info()->AnimationPosition(), 10);
  Props()->SetBarStyle(cxbsGradient);
  Run(30);
  EXPECT_FALSE(Info()->AnimationTimerRunning());
}

TEST_F(ProgressBarAnimation, NoAnimationForPlainStylesOrInPlace) {
  bar->SetPosition(50);
  Run(60);
  EXPECT_FALSE(Info()->AnimationTimerRunning());
  TcxCustomEdit* inplace = TcxCustomEdit::CreateInplace(TcxProgressBar::StaticClass(), form);
  auto* inplaceBar = static_cast<TcxProgressBar*>(inplace);
  inplaceBar->Properties()->SetBarStyle(cxbsAnimation);
  inplaceBar->SetParent(form);
  inplaceBar->SetBounds(10, 60, 100, 20);
  Run(60);
  EXPECT_FALSE(inplaceBar->ProgressBarViewInfo()->CanAnimationBarShow());
  EXPECT_FALSE(inplaceBar->ProgressBarViewInfo()->AnimationTimerRunning());
  delete inplace;
}

TEST_F(ProgressBarAnimation, MarqueeBlockMovesAcrossTheBar) {
  Props()->SetBeginColor(clRed);
  Props()->SetMarquee(true);
  Props()->SetAnimationSpeed(10);
  Repaint();
  ASSERT_TRUE(Info()->AnimationTimerRunning());
  const int midY = (Content().Top + Content().Bottom) / 2;
  // After five ticks the block (50 pixels, cycle path) ends 100 pixels into the bar.
  Run(150);
  Repaint();
  const int left = Content().Left;
  EXPECT_EQ(Rgb(left + 60, midY), 0xFF0000u);
  EXPECT_EQ(Rgb(left + 99, midY), 0xFF0000u);
  EXPECT_NE(Rgb(left + 100, midY), 0xFF0000u);
  EXPECT_NE(Rgb(left + 45, midY), 0xFF0000u);
  Run(60);
  Repaint();
  EXPECT_EQ(Rgb(left + 139, midY), 0xFF0000u);
  EXPECT_NE(Rgb(left + 60, midY), 0xFF0000u);
}

}  // namespace
}  // namespace qd::testing
