// The system-palette change listener: the order in which notifiers hear a system colour
// change (Office 11 colours first, then primary, then ordinary notifiers, newest first), the
// shared hidden window's life, and notifiers that free each other while they are told.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lookandfeel/painter_test_util.h"
#include "platform/os/gdi_surface.h"
#include "platform/os/user.h"
#include "platform/os/uxtheme_testing.h"
#include "ui/graphics/dxOffice11.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd::testing {
namespace {

class PainterPaletteTest : public PainterTest {
 protected:
  void SetUp() override {
    PainterTest::SetUp();
    // Without visual styles the Office 11 colours follow the system colours.
    os::SetVisualStylesEnabled(false);
  }
  void TearDown() override {
    gdi::ResetSysColors();
    os::ResetThemeForTesting();
    PainterTest::TearDown();
  }
  static void SetButtonFace(COLORREF AColor) {
    const INT index = COLOR_BTNFACE;
    SetSysColors(1, &index, &AColor);
  }
};

// A notifier that records its name, and the Office 11 dock colour it saw, when told; then
// runs its action (which may free notifiers, this one included).
class TRecordingNotifier : public TcxSystemPaletteChangedNotifier {
 public:
  TRecordingNotifier(std::vector<std::string>& ALog, std::string AName, bool AIsPrimary)
      : TcxSystemPaletteChangedNotifier(AIsPrimary), FLog(ALog), FName(std::move(AName)) {}
  TColor SeenDockColor = clNone;
  std::function<void()> Action;

 protected:
  void DoChanged() override {
    FLog.push_back(FName);
    SeenDockColor = dxOffice11DockColor1;
    TcxSystemPaletteChangedNotifier::DoChanged();
    if (Action) {
      const std::function<void()> action = Action;
      action();
    }
  }

 private:
  std::vector<std::string>& FLog;
  std::string FName;
};

// The handler of a plain notifier's event.
struct TPaletteEventSink {
  std::vector<std::string>* Log;
  std::string Name;
  void Fire() { Log->push_back(Name); }
};

TEST_F(PainterPaletteTest, ColourChangeReachesPrimaryThenOrdinaryNotifiersNewestFirst) {
  std::vector<std::string> log;
  // Created interleaved, so that the order comes from the lists and not from creation.
  TRecordingNotifier ordinary1(log, "ordinary 1", false);
  TRecordingNotifier primary1(log, "primary 1", true);
  TRecordingNotifier ordinary2(log, "ordinary 2", false);
  TRecordingNotifier primary2(log, "primary 2", true);
  // The event of a plain notifier runs too.
  TPaletteEventSink sink{&log, "plain"};
  TcxSystemPaletteChangedNotifier plain(false);
  plain.SetOnSystemPaletteChanged(TcxSystemPaletteChangedEvent(&sink, &TPaletteEventSink::Fire));

  SetButtonFace(RGB(200, 100, 50));
  EXPECT_EQ(log, (std::vector<std::string>{"primary 2", "primary 1", "plain", "ordinary 2", "ordinary 1"}));
  // The Office 11 colours were already recomputed when the first notifier ran.
  EXPECT_EQ(primary2.SeenDockColor, static_cast<TColor>(RGB(200, 100, 50)));
  EXPECT_EQ(ordinary1.SeenDockColor, static_cast<TColor>(RGB(200, 100, 50)));

  // Other messages are not a change.
  log.clear();
  SendMessageW(cxSystemPaletteChangedListener()->WindowHandle(), WM_SETTINGCHANGE, 0, 0);
  EXPECT_TRUE(log.empty());
}

TEST_F(PainterPaletteTest, UnitPrimaryNotifierRunsBeforeLaterOrdinaryOnes) {
  cxLookAndFeelPainters::Initialize();
  std::vector<std::string> log;
  TPaletteEventSink sink{&log, "unit"};
  cxLookAndFeelPainters::PrimaryPaletteNotifier()->SetOnSystemPaletteChanged(
      TcxSystemPaletteChangedEvent(&sink, &TPaletteEventSink::Fire));
  TRecordingNotifier lookAndFeel(log, "look-and-feel", false);
  SetButtonFace(RGB(10, 20, 30));
  EXPECT_EQ(log, (std::vector<std::string>{"unit", "look-and-feel"}));
  cxLookAndFeelPainters::Finalize();
  // The ordinary notifier still holds the listener.
  EXPECT_NE(cxSystemPaletteChangedListener(), nullptr);
}

TEST_F(PainterPaletteTest, LastNotifierTakesTheWindowAlong) {
  EXPECT_EQ(cxSystemPaletteChangedListener(), nullptr);
  const int32_t office11Before = Office11ColorsCounter();
  auto first = std::make_unique<TcxSystemPaletteChangedNotifier>(false);
  ASSERT_NE(cxSystemPaletteChangedListener(), nullptr);
  const HWND window = cxSystemPaletteChangedListener()->WindowHandle();
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(Office11ColorsCounter(), office11Before + 1);  // the listener holds the colours
  {
    TcxSystemPaletteChangedNotifier second(true);
    EXPECT_EQ(cxSystemPaletteChangedListener()->WindowHandle(), window);  // shared
  }
  EXPECT_TRUE(IsWindow(window));
  first.reset();
  EXPECT_EQ(cxSystemPaletteChangedListener(), nullptr);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(Office11ColorsCounter(), office11Before);

  TcxSystemPaletteChangedNotifier again(false);
  ASSERT_NE(cxSystemPaletteChangedListener(), nullptr);
  EXPECT_TRUE(IsWindow(cxSystemPaletteChangedListener()->WindowHandle()));
}

TEST_F(PainterPaletteTest, NotifiersFreedDuringTheChangeAreNotTold) {
  std::vector<std::string> log;
  auto older = std::make_unique<TRecordingNotifier>(log, "older", false);
  auto primary = std::make_unique<TRecordingNotifier>(log, "primary", true);
  // The newest ordinary notifier frees the older one and the primary one (already told).
  TRecordingNotifier killer(log, "killer", false);
  killer.Action = [&] {
    older.reset();
    primary.reset();
  };
  SetButtonFace(RGB(1, 2, 3));
  EXPECT_EQ(log, (std::vector<std::string>{"primary", "killer"}));
}

TEST_F(PainterPaletteTest, NotifierFreeingEveryNotifierEndsTheChangeSafely) {
  std::vector<std::string> log;
  auto older = std::make_unique<TRecordingNotifier>(log, "older", false);
  auto last = std::make_unique<TRecordingNotifier>(log, "last", true);
  // Frees the listener and its window while the window handles the message.
  last->Action = [&] {
    older.reset();
    last.reset();
  };
  SetButtonFace(RGB(4, 5, 6));
  EXPECT_EQ(log, (std::vector<std::string>{"last"}));
  EXPECT_EQ(cxSystemPaletteChangedListener(), nullptr);
}

}  // namespace
}  // namespace qd::testing
