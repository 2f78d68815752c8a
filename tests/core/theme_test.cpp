// The visual-styles binding, the theme manager's cached handles and change notification,
// and the desktop-composition binding.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/os/modules.h"
#include "platform/os/uxtheme.h"
#include "platform/os/uxtheme_testing.h"
#include "ui/core/dxDWMApi.h"
#include "ui/core/dxThemeManager.h"
#include "ui/core/dxUxTheme.h"
#include "ui_core_test_util.h"

namespace qd::testing {
namespace {

int CountBound() {
  const TdxUxThemeProcs& p = dxUxThemeProcs();
  int n = 0;
#define QD_COUNT(Name) n += p.Name != nullptr;
  QD_UXTHEME_FUNCTIONS(QD_COUNT)
#undef QD_COUNT
  return n;
}

class ThemeTest : public UiCoreTest {
 protected:
  void SetUp() override {
    UiCoreTest::SetUp();
    os::RegisterThemeModules();
    os::ResetThemeForTesting();
    saved = std::make_unique<os::ScopedModuleTable>();
  }
  void TearDown() override {
    Stop();
    saved.reset();
    os::ResetThemeForTesting();
    UiCoreTest::TearDown();
  }
  void Start() {
    dxUxTheme::Initialize();
    dxThemeManager::Initialize();
    started = true;
  }
  void Stop() {
    if (!started) return;
    dxThemeManager::Finalize();
    dxUxTheme::Finalize();
    started = false;
  }
  void Restart() {
    Stop();
    Start();
  }

  std::unique_ptr<os::ScopedModuleTable> saved;
  bool started = false;
};

TEST_F(ThemeTest, BindsEveryNameAndAMissingOneStaysNil) {
  Start();
  EXPECT_TRUE(IsThemeLibraryLoaded());
  EXPECT_EQ(dxUxThemeBoundNameCount(), 56);
  EXPECT_EQ(CountBound(), 56);
  os::RemoveExport("uxtheme.dll", "BufferedPaintSetAlpha");
  os::RemoveExport("uxtheme.dll", "BeginPanningFeedback");
  Restart();
  EXPECT_EQ(CountBound(), 54);
  EXPECT_EQ(dxUxThemeProcs().BufferedPaintSetAlpha, nullptr);
  EXPECT_FALSE(SUCCEEDED(dxUxTheme::BufferedPaintSetAlpha(nullptr, nullptr, 255)));
  EXPECT_FALSE(dxBeginPanningFeedback(nullptr));
}

TEST_F(ThemeTest, CachedHandlePerTypeAndClassListsComparedWithoutCase) {
  Start();
  ASSERT_TRUE(AreVisualStylesAvailable());
  const HTHEME button = OpenTheme(totButton);
  ASSERT_NE(button, 0);
  EXPECT_EQ(OpenTheme(totButton), button);

  const HTHEME explorer = OpenTheme(totListView, u"Explorer::ListView");
  ASSERT_NE(explorer, 0);
  EXPECT_EQ(OpenTheme(totListView), explorer);
  EXPECT_EQ(OpenTheme(totListView, u"explorer::listview"), explorer);
  const HTHEME plain = OpenTheme(totListView, u"ListView");
  EXPECT_NE(plain, explorer);
  EXPECT_EQ(CloseThemeData(explorer), E_HANDLE);  // the cache closed the old handle

  EXPECT_EQ(CloseTheme(totEdit), 0);  // never opened
  EXPECT_EQ(CloseTheme(totButton), S_OK);
  EXPECT_NE(OpenTheme(totButton), button);
}

TEST_F(ThemeTest, ClassListSurvivesClosingAndAFailureForgetsIt) {
  Start();
  const HTHEME first = OpenTheme(totListView, u"Explorer::ListView");
  CloseAllThemes();
  EXPECT_EQ(CloseThemeData(first), E_HANDLE);
  // Reopened without a class list: the stored one is used.
  const HTHEME again = OpenTheme(totListView);
  ASSERT_NE(again, 0);
  EXPECT_EQ(OpenTheme(totListView, u"EXPLORER::LISTVIEW"), again);
  os::SetThemeClassFailing(u"Explorer::ListView", true);
  CloseAllThemes();
  EXPECT_EQ(OpenTheme(totListView), 0);
  os::SetThemeClassFailing(u"Explorer::ListView", false);
  // The failure cleared the stored list: the type's own class opens now.
  const HTHEME own = OpenTheme(totListView);
  ASSERT_NE(own, 0);
  EXPECT_EQ(OpenTheme(totListView, u"listview"), own);
}

TEST_F(ThemeTest, AvailabilityOfTypes) {
  Start();
  TdxThemedObjectTypes all;
  for (int i = 0; i < dxThemedObjectTypeCount; ++i) all.Include(static_cast<TdxThemedObjectType>(i));
  EXPECT_TRUE(AreVisualStylesAvailable(all));
  os::SetThemeClassFailing(u"Spin", true);
  CloseAllThemes();
  struct Case {
    TdxThemedObjectTypes types;
    bool available;
  } cases[] = {
      {{}, true},
      {{totButton, totEdit}, true},
      {{totButton, totSpin}, false},
      {{totExplorerListView, totTextStyle}, true},
  };
  for (const Case& c : cases) EXPECT_EQ(AreVisualStylesAvailable(c.types), c.available);
}

TEST_F(ThemeTest, ThemesSwitchedOffInTheSystem) {
  Start();
  ASSERT_NE(OpenTheme(totButton), 0);
  os::SetVisualStylesEnabled(false);  // announced with WM_THEMECHANGED
  EXPECT_FALSE(AreVisualStylesAvailable());
  EXPECT_FALSE(AreVisualStylesAvailable({totButton}));
  EXPECT_EQ(OpenTheme(totButton), 0);
  EXPECT_EQ(CloseTheme(totButton), 1);
  os::SetVisualStylesEnabled(true);
  EXPECT_NE(OpenTheme(totButton), 0);
}

class TRecordingNotificator : public TdxThemeChangedNotificator {
 public:
  TRecordingNotificator(std::vector<std::string>& ALog, std::string AName)
      : FLog(ALog), FName(std::move(AName)) {
    SetOnThemeChanged(TdxThemeChangedEvent(this, &TRecordingNotificator::Changed));
  }
  // Whether a theme handle was open when the notificator was told.
  std::vector<bool> handleOpenWhenTold;
  std::unique_ptr<TdxThemeChangedNotificator> victim;  // freed by this one's notification
  HTHEME watched = 0;

 private:
  void Changed() {
    FLog.push_back(FName);
    handleOpenWhenTold.push_back(CloseThemeData(watched) == S_OK);
    victim.reset();
  }
  std::vector<std::string>& FLog;
  std::string FName;
};

TEST_F(ThemeTest, ChangeDropsHandlesFirstThenTellsNotificatorsInOrder) {
  Start();
  std::vector<std::string> log;
  auto first = std::make_unique<TRecordingNotificator>(log, "first");
  auto second = std::make_unique<TRecordingNotificator>(log, "second");
  auto third = std::make_unique<TRecordingNotificator>(log, "third");
  first->victim = std::move(third);  // the first one frees the third during the change
  ASSERT_NE(dxThemeManagerWindowHandle(), nullptr);

  for (UINT msg : {WM_THEMECHANGED, WM_SYSCOLORCHANGE}) {
    log.clear();
    const HTHEME before = OpenTheme(totButton);
    first->watched = before;
    SendMessageW(dxThemeManagerWindowHandle(), msg, 0, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"first", "second"}));
    EXPECT_NE(OpenTheme(totButton), before);
  }
  EXPECT_EQ(first->handleOpenWhenTold, (std::vector<bool>{false, false}));

  // A broadcast reaches the manager's window too.
  log.clear();
  const INT index = COLOR_BTNFACE;
  const COLORREF colour = GetSysColor(COLOR_BTNFACE);
  SetSysColors(1, &index, &colour);
  EXPECT_EQ(log, (std::vector<std::string>{"first", "second"}));
}

TEST_F(ThemeTest, ExceptionInANotificatorIsReportedAndTheOthersAreStillTold) {
  Start();
  std::vector<std::string> log;
  TdxThemeChangedNotificator failing;
  struct TThrower {
    void Throw() { throw Exception(u"listener failed"); }
  } thrower;
  failing.SetOnThemeChanged(TdxThemeChangedEvent(&thrower, &TThrower::Throw));
  TRecordingNotificator after(log, "after");
  EXPECT_EQ(SendMessageW(dxThemeManagerWindowHandle(), WM_THEMECHANGED, 0, 0), 0);
  EXPECT_EQ(exceptions, (std::vector<String>{u"listener failed"}));
  EXPECT_EQ(log, (std::vector<std::string>{"after"}));
}

TEST_F(ThemeTest, WithoutTheLibraryNoVisualStyleIsEverUsed) {
  os::RemoveModule("uxtheme.dll");
  Start();
  EXPECT_FALSE(IsThemeLibraryLoaded());
  EXPECT_EQ(CountBound(), 0);
  EXPECT_EQ(dxThemeManagerWindowHandle(), nullptr);
  EXPECT_FALSE(AreVisualStylesAvailable());
  EXPECT_EQ(OpenTheme(totButton), 0);
  EXPECT_EQ(CloseTheme(totButton), 1);
  EXPECT_FALSE(dxUxTheme::IsThemeActive());
  EXPECT_EQ(dxUxTheme::OpenThemeData(nullptr, u"Button"), 0);
  HDC paintDC = reinterpret_cast<HDC>(1);
  EXPECT_EQ(dxUxTheme::BeginBufferedPaint(nullptr, nullptr, BPBF_TOPDOWNDIB, nullptr, &paintDC), nullptr);
  EXPECT_EQ(paintDC, nullptr);
  std::vector<std::string> log;
  TRecordingNotificator notificator(log, "n");
  os::SetVisualStylesEnabled(false);
  os::SetVisualStylesEnabled(true);
  EXPECT_TRUE(log.empty());
}

TEST_F(ThemeTest, ShutDownClosesTheCachedHandles) {
  Start();
  const HTHEME button = OpenTheme(totButton);
  Stop();
  EXPECT_EQ(CloseThemeData(button), E_HANDLE);
  EXPECT_FALSE(AreVisualStylesAvailable());
  EXPECT_EQ(dxThemeManagerWindowHandle(), nullptr);
}

// --- Desktop composition ---------------------------------------------------------------------

class DWMTest : public UiCoreTest {
 protected:
  void TearDown() override {
    dxDWMApi::Finalize();
    UiCoreTest::TearDown();
  }
  static int CountBound() {
    int n = 0;
#define QD_COUNT(Name) n += dxDWMApi::Name != nullptr;
    QD_DWMAPI_FUNCTIONS(QD_COUNT)
#undef QD_COUNT
    return n;
  }
};

TEST_F(DWMTest, CompositionPresentAbsentAndSwitched) {
  struct Case {
    const char* name;
    bool removeModule;
    bool vista;
    bool composition;
    bool present;
    int bound;
    bool enabled;
  } cases[] = {
      {"on", false, true, true, true, 12, true},
      {"switched off", false, true, false, true, 12, false},
      {"no dwmapi.dll", true, true, true, false, 0, false},
      {"before Vista", false, false, true, false, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    os::ScopedModuleTable saved;
    if (c.removeModule) os::RemoveModule("dwmapi.dll");
    if (!c.vista) os::SetReportedVersion(5, 1, 2600);
    InitPlatformInfo();
    os::SetCompositionEnabled(c.composition);
    dxDWMApi::Initialize();
    EXPECT_EQ(IsDwmPresent(), c.present);
    EXPECT_EQ(CountBound(), c.bound);
    EXPECT_EQ(IsCompositionEnabled(), c.enabled);
    dxDWMApi::Finalize();
    os::ResetReportedVersion();
    os::SetCompositionEnabled(true);
  }
}

TEST_F(DWMTest, CompositionIsAskedAnewEachTime) {
  dxDWMApi::Initialize();
  EXPECT_TRUE(IsCompositionEnabled());
  os::SetCompositionEnabled(false);
  EXPECT_FALSE(IsCompositionEnabled());
  os::SetCompositionEnabled(true);
  EXPECT_TRUE(IsCompositionEnabled());
}

}  // namespace
}  // namespace qd::testing
