// Transitions and the animation controller under the virtual clock, and the easing curves.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "lookandfeel/lookandfeel_test_util.h"
#include "ui/lookandfeel/dxAnimation.h"

namespace qd::testing {
namespace {

TEST(EaseHelperTest, CurvesAtFixedPoints) {
  struct Case {
    TdxAnimationTransitionEffectMode mode;
    TdxAnimationTransitionEffect effect;
    double t, expected;
  } cases[] = {
      {atmIn, ateCubic, 0.5, 0.125},
      {atmOut, ateCubic, 0.5, 0.875},
      {atmInOut, ateCubic, 0.25, 0.0625},
      {atmInOut, ateCubic, 0.75, 0.9375},
      {atmIn, ateQuadratic, 0.5, 0.25},
      {atmIn, ateQuartic, 0.5, 0.0625},
      {atmIn, ateBack, 0.5, 0.125 - 0.15},
      {atmIn, ateBounce, 0, 0},
      {atmIn, ateBounce, 1, 1},
      {atmIn, ateCircle, 0.6, 0.2},
      {atmIn, ateCircle, 1.5, 1},  // clamped
      {atmIn, ateElastic, 0, 0},
      {atmIn, ateElastic, 1, 1},
      {atmIn, ateExponential, 0, 0},
      {atmIn, ateExponential, 0.5, (std::exp(3.5) - 1) / (std::exp(7.0) - 1)},
      {atmIn, ateSine, 0.5, 1 - std::sin(std::numbers::pi / 4)},
      {atmIn, ateSine, 1, 1},
      {atmIn, ateLinear, 0.5, 1 - std::pow(0.5, 6)},  // the default curve
      {atmOut, ateAccelerateDecelerate, 0.5, std::pow(0.5, 6)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << int(c.mode) << "/" << int(c.effect) << " at " << c.t);
    EXPECT_NEAR(TdxEaseHelper::Calculate(c.mode, c.effect, std::llround(c.t * 1000), 1000), c.expected, 1e-9);
  }
  EXPECT_DOUBLE_EQ(TdxEaseHelper::GetNormalizedTime(250, 1000), 0.25);
}

TEST(EaseHelperTest, MulDiv64Table) {
  struct Case {
    int64_t a, b, c, expected;
  } cases[] = {
      {5, 10, 3, 16},
      {-7, 3, 2, -10},                     // toward zero
      {0x100000005LL, 10, 1, 50},          // A is its low 32 bits
      {0xFFFFFFFFLL, 10, 1, -10},          // sign-extended
      {500, 10'000'000, 1000, 5'000'000},  // milliseconds to ticks
      {7, 1, 0, 0},                        // no divisor
      {0x7FFFFFFF, std::numeric_limits<int64_t>::max(), 1, std::numeric_limits<int64_t>::max()},
  };
  for (const Case& c : cases)
    EXPECT_EQ(dxMulDiv64(c.a, c.b, c.c), c.expected) << c.a << " " << c.b << " " << c.c;
}

class AnimationTest : public LookAndFeelTest {
 protected:
  void TearDown() override {
    dxAnimation::Finalize();
    LookAndFeelTest::TearDown();
  }

  // Records every event of a transition.
  struct Recorder {
    void Before(TdxAnimationTransition*, int32_t& APosition, bool& AFinished) {
      log.push_back("B" + std::to_string(APosition));
      if (finishInBefore) AFinished = true;
    }
    void Animate(TdxAnimationTransition* Sender, int32_t& APosition, bool& AFinished) {
      log.push_back("A" + std::to_string(APosition));
      positions.push_back(APosition);
    }
    void After(TdxAnimationTransition*, int32_t& APosition, bool& AFinished) {
      log.push_back("F" + std::to_string(APosition));
    }
    void Terminated(TObject* Sender) {
      log.push_back("T");
      if (terminateInHandler) static_cast<TdxAnimationTransition*>(Sender)->Terminate();
    }
    void Attach(TdxAnimationTransition* t) {
      t->SetOnBeforeAnimate(TdxAnimationEvent(this, &Recorder::Before));
      t->SetOnAnimate(TdxAnimationEvent(this, &Recorder::Animate));
      t->SetOnAfterAnimate(TdxAnimationEvent(this, &Recorder::After));
      t->SetOnTerminate(TNotifyEvent(this, &Recorder::Terminated));
    }
    std::vector<std::string> log;
    std::vector<int32_t> positions;
    bool finishInBefore = false;
    bool terminateInHandler = false;
  };

  TdxAnimationTransition* NewTransition(uint32_t ATime, TdxAnimationTransitionEffect AEffect,
                                        TdxAnimationTransitionEffectMode AMode = atmIn) {
    auto* t = new TdxAnimationTransition(ATime, AEffect, 100, AMode);
    recorder.Attach(t);
    return t;
  }
  int32_t Count() { return dxAnimationController()->GetCount(); }

  Recorder recorder;
};

TEST_F(AnimationTest, PositionsAfterHalfTheTimeTable) {
  struct Case {
    TdxAnimationTransitionEffect effect;
    TdxAnimationTransitionEffectMode mode;
    int32_t position;
  } cases[] = {
      {ateLinear, atmIn, 50},  {ateAccelerateDecelerate, atmIn, 98},
      {ateCubic, atmIn, 12},   {ateCubic, atmOut, 88},
      {ateTanh, atmIn, 50},    {ateQuadratic, atmInOut, 50},
      {ateLinear, atmOut, 50}, {ateCustom, atmIn, 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << int(c.effect) << "/" << int(c.mode));
    TdxAnimationTransition* t = NewTransition(1000, c.effect, c.mode);
    t->SetFreeOnTerminate(false);
    t->Resume();
    Clock().Advance(500);
    dxAnimationController()->Update();
    EXPECT_EQ(t->Position(), c.position);
    EXPECT_TRUE(t->PositionChanged() == false);  // reset after the pass
    delete t;
  }
}

TEST_F(AnimationTest, ATransitionRunsToItsEndThenFreesItselfAndTheTimerStops) {
  TdxAnimationTransition* t = NewTransition(100, ateLinear);
  EXPECT_TRUE(t->Suspended());
  EXPECT_FALSE(dxAnimationController()->TimerEnabled());
  t->Resume();
  EXPECT_TRUE(dxAnimationController()->TimerEnabled());
  Run(150);
  EXPECT_EQ(Count(), 0);
  ASSERT_FALSE(recorder.positions.empty());
  EXPECT_TRUE(std::is_sorted(recorder.positions.begin(), recorder.positions.end()));
  EXPECT_EQ(recorder.positions.back(), 100);
  EXPECT_EQ(recorder.log.back(), "T");
  EXPECT_EQ(std::count(recorder.log.begin(), recorder.log.end(), "T"), 1);
  EXPECT_FALSE(dxAnimationController()->TimerEnabled());
  EXPECT_EQ(dxAnimationController()->ActiveAnimations(), 0);
}

TEST_F(AnimationTest, TimeZeroFinishesOnTheFirstStep) {
  NewTransition(0, ateBounce)->Resume();
  dxAnimationController()->Update();
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"B100", "A100", "F100", "T"}));
  EXPECT_EQ(Count(), 0);
}

TEST_F(AnimationTest, ATransitionNeverResumedIsNeverAnimated) {
  TdxAnimationTransition* t = NewTransition(10, ateLinear);
  Clock().Advance(100);
  dxAnimationController()->Update();
  EXPECT_TRUE(recorder.log.empty());
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(dxAnimationController()->GetAnimation(0), t);
}

TEST_F(AnimationTest, AHandlerFinishingTheTransitionEndsItAtOnceAndTerminatesOnce) {
  recorder.finishInBefore = true;
  TdxAnimationTransition* t = NewTransition(1000, ateLinear);
  t->SetFreeOnTerminate(false);
  t->Resume();
  Clock().Advance(100);
  t->Animate();
  // The nested step delivers the end, then the interrupted step's remaining events follow.
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"B10", "B100", "A100", "F100", "T", "A100", "F100"}));
  EXPECT_TRUE(t->Finished());
  delete t;
}

TEST_F(AnimationTest, TerminatingFromOnTerminateInsideAStepIsSafe) {
  recorder.finishInBefore = true;
  recorder.terminateInHandler = true;
  NewTransition(1000, ateLinear)->Resume();
  Clock().Advance(100);
  dxAnimationController()->Update();
  EXPECT_EQ(Count(), 0);
  EXPECT_EQ(std::count(recorder.log.begin(), recorder.log.end(), "T"), 1);
  EXPECT_FALSE(dxAnimationController()->TimerEnabled());
}

TEST_F(AnimationTest, PauseAndResumeContinueFromTheElapsedTime) {
  TdxAnimationTransition* t = NewTransition(1000, ateLinear);
  t->SetFreeOnTerminate(false);
  t->Resume();
  Clock().Advance(300);
  dxAnimationController()->Update();
  EXPECT_EQ(t->Position(), 30);
  t->Suspend(false);
  EXPECT_TRUE(t->Suspended());
  EXPECT_FALSE(dxAnimationController()->TimerEnabled());
  Clock().Advance(5000);
  dxAnimationController()->Update();
  EXPECT_EQ(t->Position(), 30);
  t->Resume();
  Clock().Advance(200);
  dxAnimationController()->Update();
  EXPECT_EQ(t->Position(), 50);
  EXPECT_FALSE(t->Finished());
  delete t;
  EXPECT_FALSE(dxAnimationController()->TimerEnabled());
}

TEST_F(AnimationTest, SuspendWithFinishingTerminates) {
  TdxAnimationTransition* t = NewTransition(1000, ateLinear);
  t->Resume();
  t->Suspend(true);
  EXPECT_EQ(recorder.log.back(), "T");
  EXPECT_EQ(recorder.positions.back(), 100);
  EXPECT_EQ(Count(), 0);
  EXPECT_FALSE(dxAnimationController()->TimerEnabled());
}

class ExclusiveTransition : public TdxAnimationTransition {
 public:
  using TdxAnimationTransition::TdxAnimationTransition;
  bool IsCompatible(TdxAnimationTransition*) override { return false; }
};

struct ListenerLog : IdxAnimationListener {
  void AfterAnimation(TdxAnimationController*) override { log.push_back("after"); }
  void BeforeAnimation(TdxAnimationController*) override { log.push_back("before"); }
  void DestroyAnimation(TdxAnimationTransition*) override { log.push_back("destroy"); }
  std::vector<std::string> log;
};

TEST_F(AnimationTest, ListenersBracketEveryPassAndANewerIncompatibleTransitionFinishesTheOlder) {
  ListenerLog listener;
  dxAnimationController()->AddListener(&listener);
  dxAnimationController()->AddListener(&listener);  // once only
  auto* older = new ExclusiveTransition(1000, ateLinear, 100, atmIn);
  recorder.Attach(older);
  older->Resume();
  Clock().Advance(100);
  dxAnimationController()->Update();
  EXPECT_EQ(listener.log, (std::vector<std::string>{"before", "after"}));
  new TdxAnimationTransition(1000, ateLinear, 10, atmIn);
  EXPECT_TRUE(older->Finished());
  EXPECT_EQ(recorder.positions.back(), 100);
  listener.log.clear();
  dxAnimationController()->Update();  // the finished one frees itself in the pass
  EXPECT_EQ(listener.log, (std::vector<std::string>{"before", "destroy", "after"}));
  EXPECT_EQ(Count(), 1);
  dxAnimationController()->RemoveListener(&listener);
}

TEST_F(AnimationTest, ImmediateAnimationRunsTheWholeTransitionAtOnce) {
  TdxAnimationTransition* t = NewTransition(50, ateSine);
  t->ImmediateAnimation();
  EXPECT_EQ(recorder.positions.back(), 100);
  EXPECT_EQ(recorder.log.back(), "T");
  EXPECT_GT(recorder.positions.size(), 2u);
  EXPECT_EQ(Count(), 0);
}

}  // namespace
}  // namespace qd::testing
