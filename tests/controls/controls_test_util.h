#pragma once
// Fixture for the control framework's window services: the core fixture (virtual clock,
// application objects, window manager reset) with the control framework's unit started, and
// plain windows to work on.
#include <gtest/gtest.h>

#include "core/ui_core_test_util.h"
#include "platform/os/user.h"
#include "ui/core/cxClassesTimer.h"
#include "ui/controls/cxControlsWndProc.h"

namespace qd::testing {

class ControlsTest : public UiCoreTest {
 protected:
  void SetUp() override {
    UiCoreTest::SetUp();
    cxControls::Initialize();
  }
  void TearDown() override {
    if (!finalized_) cxControls::Finalize();
    // The shared timer window goes with the window manager's reset.
    cxTimerDetail::FreeTimerWindow();
    UiCoreTest::TearDown();
  }
  // The unit's shut-down, once (a test that checks what it does calls it itself).
  void FinalizeUnit() {
    finalized_ = true;
    cxControls::Finalize();
  }

  static HWND CreatePlainWindow(DWORD AStyle, DWORD AExStyle, int X, int Y, int W, int H,
                                HWND AParent = nullptr) {
    // SS_NOTIFY: the window is hit like any other (a plain STATIC lets the mouse through).
    return CreateWindowExW(AExStyle, u"STATIC", u"", AStyle | SS_NOTIFY, X, Y, W, H, AParent, nullptr,
                           nullptr, nullptr);
  }

 private:
  bool finalized_ = false;
};

}  // namespace qd::testing
