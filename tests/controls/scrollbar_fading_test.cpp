// The scroll bar's arrows and thumb cross-fade between their normal and hot pictures on the
// fader's frames, and a theme change re-measures the bar.
#include <gtest/gtest.h>

#include <vector>

#include "controls/scrollbars_test_util.h"
#include "platform/os/user_display.h"
#include "ui/controls/cxScrollBar.h"
#include "ui/core/dxThemeManager.h"
#include "ui/lookandfeel/dxFading.h"

namespace qd::testing {
namespace {

class ScrollBarFadingTest : public GdiPlusControlTest {
 protected:
  void SetUp() override {
    GdiPlusControlTest::SetUp();
    dxFading::Initialize();
    dxFader()->SetState(fasEnabled);
    form = NewPlainForm(300, 260);
    bar = new TcxScrollBar(form);
    bar->SetParent(form);
    bar->LookAndFeel()->SetNativeStyle(true);
    bar->SetKind(sbVertical);
    bar->SetBounds(10, 10, 17, 200);
    bar->SetScrollParams(0, 100, 50, 10);
    ShowAndUpdate(form);
  }
  void TearDown() override {
    forms::Finalize();
    forms::Initialize();
    dxFading::Finalize();
    GdiPlusControlTest::TearDown();
  }
  // The pixel in the middle of the up arrow as the screen shows it.
  uint32_t ArrowPixel() {
    UpdateWindow(bar->Handle());
    const TRect r = bar->Helper()->ViewInfo()->PartBounds(sbpLineUp);
    const os::WindowPixels px = os::ReadWindowPixels(form->Handle(), true);
    return px.At(10 + (r.Left + r.Right) / 2, 10 + (r.Top + r.Bottom) / 2) & 0xFFFFFF;
  }
  void MoveTo(int X, int Y) {
    os::InjectMouseMove(TPoint{100 + 10 + X, 100 + 10 + Y});
    Pump();
  }

  TForm* form = nullptr;
  TcxScrollBar* bar = nullptr;
};

TEST_F(ScrollBarFadingTest, AnArrowFadesToItsHotPictureAndBack) {
  ASSERT_TRUE(bar->Helper()->Painter()->FadingAvailable());
  TcxScrollBarPartFadingHelper* fading = bar->Helper()->ViewInfo()->PartInfo(sbpLineUp)->FadingHelper();
  ASSERT_NE(fading, nullptr);
  EXPECT_EQ(bar->Helper()->ViewInfo()->PartInfo(sbpPageUp)->FadingHelper(), nullptr);
  const uint32_t normal = ArrowPixel();

  MoveTo(8, 8);
  EXPECT_TRUE(dxFader()->Contains(fading));
  EXPECT_EQ(fading->State(), cxbsHot);
  // Four frames of 10 ms, then the fade ends on the hot picture.
  std::vector<uint32_t> frames;
  for (int i = 0; i < 6; ++i) {
    Run(10);
    frames.push_back(ArrowPixel());
  }
  EXPECT_FALSE(dxFader()->Contains(fading));
  const uint32_t hot = ArrowPixel();
  ASSERT_NE(hot, normal);
  // A frame between lies between the two pictures, channel by channel.
  const uint32_t middle = frames[1];
  EXPECT_NE(middle, normal);
  EXPECT_NE(middle, hot);
  for (int shift = 0; shift < 24; shift += 8) {
    const int n = (normal >> shift) & 0xFF, h = (hot >> shift) & 0xFF, m = (middle >> shift) & 0xFF;
    EXPECT_GE(m, std::min(n, h) - 1);
    EXPECT_LE(m, std::max(n, h) + 1);
  }

  // Leaving fades back out (twelve slower frames).
  MoveTo(8, 100);
  EXPECT_TRUE(dxFader()->Contains(fading));
  Run(300);
  EXPECT_FALSE(dxFader()->Contains(fading));
  EXPECT_EQ(ArrowPixel(), normal);
}

TEST_F(ScrollBarFadingTest, ATurnedOffFaderDrawsTheHotPictureAtOnce) {
  dxFader()->SetState(fasDisabled);
  const uint32_t normal = ArrowPixel();
  MoveTo(8, 8);
  TcxScrollBarPartFadingHelper* fading = bar->Helper()->ViewInfo()->PartInfo(sbpLineUp)->FadingHelper();
  EXPECT_FALSE(dxFader()->Contains(fading));
  EXPECT_NE(ArrowPixel(), normal);
}

TEST_F(ScrollBarFadingTest, AScrollBarLocksGestures) {
  GESTURENOTIFYSTRUCT notify;
  EXPECT_EQ(SendMessageW(bar->Handle(), WM_GESTURENOTIFY, 0, reinterpret_cast<LPARAM>(&notify)), 1);
}

TEST_F(ScrollBarFadingTest, AThemeChangeMeasuresTheBarAgain) {
  EXPECT_EQ(bar->Helper()->ViewInfo()->ArrowButtonLength(), 17);
  os::SetSystemMetric(SM_CXVSCROLL, 12);
  // Nothing hears the metric until the theme-change notice.
  bar->Helper()->ViewInfo()->UpdateFadingHelperStates();
  EXPECT_EQ(bar->Helper()->ViewInfo()->ArrowButtonLength(), 17);
  ASSERT_NE(dxThemeManagerWindowHandle(), nullptr);
  SendMessageW(dxThemeManagerWindowHandle(), WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(bar->Helper()->ViewInfo()->ArrowButtonLength(), 12);
  EXPECT_EQ(bar->Helper()->ViewInfo()->PartBounds(sbpLineDown).Top, 200 - 12);
}

}  // namespace
}  // namespace qd::testing
