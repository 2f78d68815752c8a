// The caret: drawn inverted in its window, blinking on the system's blink time (virtual
// clock), hidden around painting.
#include <gtest/gtest.h>

#include "user_test_util.h"

namespace qd::testing {
namespace {

constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kBlack = 0xFF000000u;

class Caret : public WmTest {
 protected:
  void SetUp() override {
    WmTest::SetUp();
    w_ = CreateRecorded("w", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30);
    PumpMessages();
  }
  void TearDown() override {
    SetCaretBlinkTime(530);
    WmTest::TearDown();
  }
  // The pixel inside the caret, and one just beside it.
  std::pair<uint32_t, uint32_t> Pixels(int x = 10, int y = 5) {
    const os::WindowPixels px = os::ReadWindowPixels(w_);
    return {px.At(x, y), px.At(x + 2, y)};
  }
  bool On() {
    PumpMessages();
    return Pixels().first == kBlack;
  }

  os::ScopedVirtualClock clock_{10'000};
  HWND w_ = nullptr;
};

TEST_F(Caret, BlinksOnTheBlinkTimeWhileShown) {
  ASSERT_EQ(GetCaretBlinkTime(), 530u);
  ASSERT_TRUE(CreateCaret(w_, nullptr, 2, 12));
  ASSERT_TRUE(SetCaretPos(10, 5));
  EXPECT_FALSE(On()) << "a new caret is hidden";
  ASSERT_TRUE(ShowCaret(w_));
  EXPECT_EQ(Pixels(), std::make_pair(kBlack, kWhite));
  // Steps of the clock and whether the caret shows after each.
  const struct {
    uint64_t ms;
    bool on;
  } steps[] = {{529, true}, {1, false}, {529, false}, {1, true}, {530, false}, {530, true}};
  for (const auto& s : steps) {
    clock_.Advance(s.ms);
    EXPECT_EQ(On(), s.on) << "after " << s.ms << " ms";
  }
  // Moving shows it at once at the new place, with a new period.
  clock_.Advance(300);
  ASSERT_TRUE(SetCaretPos(20, 5));
  EXPECT_EQ(Pixels(10, 5).first, kWhite);
  EXPECT_EQ(Pixels(20, 5).first, kBlack);
  clock_.Advance(529);
  PumpMessages();
  EXPECT_EQ(Pixels(20, 5).first, kBlack);
  clock_.Advance(1);
  PumpMessages();
  EXPECT_EQ(Pixels(20, 5).first, kWhite);
}

TEST_F(Caret, HiddenOrDestroyedItLeavesNoTrace) {
  ASSERT_TRUE(CreateCaret(w_, nullptr, 2, 12));
  SetCaretPos(10, 5);
  ShowCaret(w_);
  ASSERT_TRUE(On());
  HideCaret(w_);
  EXPECT_FALSE(On());
  clock_.Advance(5000);
  EXPECT_FALSE(On()) << "a hidden caret does not blink";
  ShowCaret(w_);
  EXPECT_TRUE(On());
  // Painting hides it for the time of the paint and shows it again, not inverted twice.
  InvalidateRect(w_, nullptr, TRUE);
  EXPECT_TRUE(On());
  DestroyCaret();
  EXPECT_FALSE(On());
  clock_.Advance(530);
  EXPECT_FALSE(On());
}

TEST_F(Caret, AnInfiniteBlinkTimeKeepsItShown) {
  SetCaretBlinkTime(INFINITE);
  ASSERT_TRUE(CreateCaret(w_, nullptr, 2, 12));
  SetCaretPos(10, 5);
  ShowCaret(w_);
  for (int i = 0; i < 4; ++i) {
    clock_.Advance(530);
    EXPECT_TRUE(On());
  }
}

}  // namespace
}  // namespace qd::testing
