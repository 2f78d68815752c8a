// DPI utilities at 96, 120, 144 and 192 DPI, with monitors set through the platform.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/classes/registry.h"
#include "platform/forms/graphics.h"
#include "platform/forms/stdctrls.h"
#include "platform/os/modules.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui_core_test_util.h"

namespace qd::testing {
namespace {

class DPITest : public UiCoreTest {
 protected:
  void SetUp() override {
    UiCoreTest::SetUp();
    saved = std::make_unique<os::ScopedModuleTable>();
    dxDPIAwareUtils::Initialize();
  }
  void TearDown() override {
    dxDPIAwareUtils::Finalize();
    saved.reset();
    RegistryClear();
    UiCoreTest::TearDown();
  }
  void Restart() {
    dxDPIAwareUtils::Finalize();
    dxDPIAwareUtils::Initialize();
  }
  static void TwoMonitors(UINT ASecondDpi) {
    os::MonitorDesc left{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96, {}};
    os::MonitorDesc right{{1920, 0, 3840, 1080}, {1920, 0, 3840, 1040}, ASecondDpi, {}};
    os::SetMonitors({left, right});
  }

  std::unique_ptr<os::ScopedModuleTable> saved;
};

// An object that tells its own scale factor.
class TScaled : public TComponent, public IdxScaleFactor {
 public:
  TScaled(int32_t N, int32_t D) : TComponent(nullptr) { FFactor.Assign(N, D, false); }
  TdxScaleFactor* GetScaleFactor() override { return &FFactor; }

 private:
  TdxScaleFactor FFactor;
};

TEST_F(DPITest, CheckValueAndTargetDPI) {
  struct {
    int32_t in, out;
  } checks[] = {{10, 30}, {29, 30}, {30, 30}, {96, 96}, {480, 480}, {1000, 480}, {-5, 30}};
  for (auto c : checks) EXPECT_EQ(dxCheckDPIValue(c.in), c.out) << c.in;

  struct {
    int32_t n, d, dpi;
  } targets[] = {{1, 1, 96}, {5, 4, 120}, {3, 2, 144}, {2, 1, 192}, {7, 4, 168}};
  for (auto t : targets) {
    TdxScaleFactor f;
    f.Assign(t.n, t.d, false);
    EXPECT_EQ(TdxScaleFactorHelper::TargetDPI(&f), t.dpi);
  }
  EXPECT_EQ(TdxScaleFactorHelper::TargetDPI(nullptr), 96);
  EXPECT_EQ(dxDefaultDPIValues.size(), 8u);
  EXPECT_EQ(dxDefaultDPIValues.back(), 288);
}

TEST_F(DPITest, SystemDesktopAndSingletonsPerDPI) {
  for (UINT dpi : {96u, 120u, 144u, 192u}) {
    SCOPED_TRACE(dpi);
    os::SetSystemDpi(dpi);
    Restart();  // fresh singletons
    EXPECT_EQ(dxGetSystemDPI(), static_cast<int32_t>(dpi));
    EXPECT_EQ(dxGetDesktopDPI(), static_cast<int32_t>(dpi));  // no AppliedDPI value
    ASSERT_NE(dxSystemScaleFactor(), nullptr);
    EXPECT_EQ(dxSystemScaleFactor()->TargetDPI(), static_cast<int32_t>(dpi));
    EXPECT_EQ(dxDesktopScaleFactor()->TargetDPI(), static_cast<int32_t>(dpi));
    EXPECT_FALSE(dxDefaultScaleFactor()->Assigned());
    // Computed once: a later change of the system DPI is not followed.
    os::SetSystemDpi(dpi == 96 ? 144 : 96);
    EXPECT_EQ(dxSystemScaleFactor()->TargetDPI(), static_cast<int32_t>(dpi));
  }
}

TEST_F(DPITest, AppliedDPIFromTheRegistryGivesTheDesktopDPI) {
  os::SetSystemDpi(96);
  RegistrySetDWORD(HKEY_CURRENT_USER, u"Control Panel\\Desktop\\WindowMetrics", u"AppliedDPI", 120);
  Restart();
  EXPECT_EQ(dxGetDesktopDPI(), 120);
  EXPECT_EQ(dxDesktopScaleFactor()->TargetDPI(), 120);
  // An unaware process uses the system DPI for the desktop factor.
  os::SetProcessDpiAwarenessForTesting(DPI_AWARENESS_CONTEXT_UNAWARE);
  Restart();
  EXPECT_EQ(dxDesktopScaleFactor()->TargetDPI(), 96);
}

TEST_F(DPITest, MonitorDPIByPoint) {
  for (UINT dpi : {120u, 144u, 192u}) {
    TwoMonitors(dpi);
    EXPECT_EQ(dxGetMonitorDPI(TPoint{100, 100}), 96);
    EXPECT_EQ(dxGetMonitorDPI(TPoint{2000, 100}), static_cast<int32_t>(dpi));
    EXPECT_EQ(dxGetMonitorDPI(TPoint{5000, 100}), static_cast<int32_t>(dpi));  // nearest
  }
  EXPECT_EQ(dxGetMonitorDPI(static_cast<TMonitor*>(nullptr)), dxGetSystemDPI());
}

TEST_F(DPITest, SystemMetricsAtAScale) {
  TdxScaleFactor f;
  for (int32_t dpi : {96, 120, 144, 192}) {
    f.Assign(dpi, 96, false);
    EXPECT_EQ(dxGetSystemMetrics(SM_CXVSCROLL, &f), GetSystemMetricsForDpi(SM_CXVSCROLL, dpi)) << dpi;
  }
  EXPECT_EQ(dxGetSystemMetrics(SM_CXVSCROLL, nullptr), GetSystemMetrics(SM_CXVSCROLL));
  // Without GetSystemMetricsForDpi the plain metric is converted from the desktop scale.
  os::RemoveExport("user32.dll", "GetSystemMetricsForDpi");
  Restart();
  f.Assign(2, 1, false);
  EXPECT_EQ(dxGetSystemMetrics(SM_CXVSCROLL, &f), 2 * GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(DPITest, CurrentScaleFactorOfComponents) {
  TForm* form = CreateNewForm<TForm>(Application);
  form->SetPixelsPerInch(120);
  form->SetCurrentPPI(0);
  auto* label = new TLabel(form);
  auto* panel = new TCustomControl(form);
  panel->SetParent(form);
  label->SetParent(panel);
  TComponent plain(nullptr);
  TScaled scaled(2, 1);
  struct Case {
    TComponent* component;
    bool known;
    int32_t dpi;
  } cases[] = {
      {form, true, 120}, {label, true, 120}, {&scaled, true, 192}, {&plain, false, 96}, {nullptr, false, 96}};
  for (const Case& c : cases) {
    int32_t n = 0, d = 0;
    EXPECT_EQ(dxGetCurrentScaleFactor(c.component, n, d), c.known);
    EXPECT_EQ(dxGetCurrentDPI(c.component), c.dpi);
  }
  form->SetCurrentPPI(144);
  EXPECT_EQ(dxGetFormDPI(form), 144);
  EXPECT_EQ(dxGetCurrentDPI(label), 144);
  auto* orphan = new TLabel(form);  // a control without a parent
  EXPECT_EQ(dxGetCurrentDPI(orphan), 96);

  EXPECT_EQ(dxGetScaleFactor(&scaled)->Numerator(), 2);
  EXPECT_EQ(dxGetScaleFactor(&plain), dxSystemScaleFactor());
}

TEST_F(DPITest, TargetDPIIsTheDPIOfTheMonitorUnderTheControl) {
  TwoMonitors(144);
  TForm* form = CreateNewForm<TForm>(Application);
  form->SetPosition(poDesigned);
  form->SetBounds(2000, 100, 300, 200);
  TComponent owned(form);
  EXPECT_EQ(dxGetTargetDPI(form), 144);
  EXPECT_EQ(dxGetTargetDPI(&owned), 144);  // through the owner chain
  form->SetBounds(100, 100, 300, 200);
  EXPECT_EQ(dxGetTargetDPI(form), 96);
  TComponent lone(nullptr);
  os::SetSystemDpi(120);
  EXPECT_EQ(dxGetTargetDPI(&lone), 120);
  // Before Windows 8 the system DPI.
  form->SetBounds(2000, 100, 300, 200);
  os::SetReportedVersion(6, 1, 7601);
  InitPlatformInfo();
  EXPECT_EQ(dxGetTargetDPI(form), 120);
}

TEST_F(DPITest, ProcessAwareness) {
  struct Case {
    DPI_AWARENESS_CONTEXT context;
    TdxProcessDpiAwareness withContextFunction, fromShcore;
    bool v2;
  } cases[] = {
      {DPI_AWARENESS_CONTEXT_UNAWARE, pdaUnaware, pdaUnaware, false},
      {DPI_AWARENESS_CONTEXT_SYSTEM_AWARE, pdaSystemDpiAware, pdaSystemDpiAware, false},
      {DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE, pdaPerMonitorDpiAware, pdaPerMonitorDpiAware, false},
      {DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, pdaPerMonitorDpiAwareV2, pdaPerMonitorDpiAware, true},
  };
  for (const Case& c : cases) {
    os::SetProcessDpiAwarenessForTesting(c.context);
    Restart();
    EXPECT_EQ(dxGetProcessDpiAwareness(), c.withContextFunction);
    EXPECT_EQ(dxIsProcessPerMonitorV2Aware(), c.v2);
  }
  os::RemoveExport("user32.dll", "GetThreadDpiAwarenessContext");
  for (const Case& c : cases) {
    os::SetProcessDpiAwarenessForTesting(c.context);
    Restart();
    EXPECT_EQ(dxGetProcessDpiAwareness(), c.fromShcore);
  }
  // Without Shcore either: whether the process is DPI-aware at all.
  os::RemoveModule("shcore.dll");
  os::SetProcessDpiAwarenessForTesting(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  Restart();
  EXPECT_EQ(dxGetProcessDpiAwareness(), pdaSystemDpiAware);
  TdxProcessDpiAwareness value = pdaUnaware;
  EXPECT_FALSE(dxGetProcessDpiAwareness(GetCurrentProcess(), value));
}

TEST_F(DPITest, AssignFontConvertsTheHeight) {
  TFont source, dest;
  source.SetName(u"Tahoma");
  source.SetHeight(-11);
  TdxScaleFactor at96, at192;
  at192.Assign(2, 1, false);
  dxAssignFont(&dest, &source, &at192, &at96);
  EXPECT_EQ(dest.Name(), u"Tahoma");
  EXPECT_EQ(dest.Height(), -22);
}

TEST_F(DPITest, SingletonsAreGoneAfterShutDown) {
  ASSERT_NE(dxSystemScaleFactor(), nullptr);
  dxDPIAwareUtils::Finalize();
  EXPECT_EQ(dxSystemScaleFactor(), nullptr);
  EXPECT_EQ(dxDesktopScaleFactor(), nullptr);
  EXPECT_EQ(dxDefaultScaleFactor(), nullptr);
  dxDPIAwareUtils::Initialize();
}

}  // namespace
}  // namespace qd::testing
