#pragma once
// Fixture for the core units that work with windows: a virtual clock, the application
// objects (whose exception handler is captured), the platform flags, and a window manager
// reset afterwards.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/base/strings.h"
#include "platform/forms/forms.h"
#include "platform/forms/forms_init.h"
#include "platform/os/clock.h"
#include "platform/os/kernel.h"
#include "platform/os/user.h"
#include "platform/os/user_display.h"
#include "ui/core/dxCore.h"

namespace qd::testing {

class UiCoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    clock_ = std::make_unique<os::ScopedVirtualClock>();
    os::ResetReportedVersion();
    InitPlatformInfo();
    forms::Initialize();
    Application->OnException = TExceptionEvent(this, &UiCoreTest::ExceptionHandler);
  }
  void TearDown() override {
    forms::Finalize();
    os::ResetWindowManagerForTesting();
    os::ResetReportedVersion();
    InitPlatformInfo();
    clock_.reset();
  }

  os::VirtualClock& Clock() { return clock_->clock(); }

  // Dispatches every message that is queued or due now.
  static int Pump() {
    int n = 0;
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
      ++n;
    }
    return n;
  }
  // Moves the clock in steps of AStep and dispatches what became due after each step.
  void Run(uint64_t AMilliseconds, uint64_t AStep = 1) {
    for (uint64_t t = 0; t < AMilliseconds; t += AStep) {
      Clock().Advance(AStep);
      Pump();
    }
  }

  std::vector<String> exceptions;  // messages that reached the application's handler

 private:
  void ExceptionHandler(TObject*, const Exception& E) { exceptions.push_back(E.Message()); }

  std::unique_ptr<os::ScopedVirtualClock> clock_;
};

}  // namespace qd::testing
