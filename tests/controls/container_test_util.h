#pragma once
// Fixture for containers: the base-control fixture with the default style controller.
#include "controls/controls_test_util.h"
#include "ui/controls/cxContainer.h"

namespace qd::testing {

class ContainerTest : public BaseControlTest {
 protected:
  void SetUp() override {
    BaseControlTest::SetUp();
    cxContainer::Initialize();
  }
  void TearDown() override {
    forms::Finalize();
    forms::Initialize();
    cxContainer::Finalize();
    BaseControlTest::TearDown();
  }
};

}  // namespace qd::testing
