// A control put on another parent takes the parent's scale: scaled at once, or assigned while
// it is being loaded; child components without a control keep their own factor.
#include <gtest/gtest.h>

#include "controls/controls_test_util.h"
#include "platform/forms/forms.h"
#include "ui/controls/cxControlHelper.h"
#include "ui/controls/cxControls.h"
#include "ui/controls/cxControlsPopup.h"

namespace qd::testing {
namespace {

class ControlHelperTest : public BaseControlTest {
 protected:
  void SetUp() override {
    BaseControlTest::SetUp();
    form = NewPlainForm(400, 400);
    scaled = new TcxControl(form);
    scaled->SetParent(form);
    scaled->SetBounds(0, 0, 300, 300);
    scaled->ScaleForPPI(144);  // 3/2
    ASSERT_EQ(scaled->GetScaleFactor()->Numerator(), 3);
  }
  TForm* form = nullptr;
  TcxControl* scaled = nullptr;
};

TEST_F(ControlHelperTest, AControlTakesItsNewParentsScale) {
  struct Case {
    const char* name;
    bool loading;
    int width;  // after the move
    int ppi;
  } cases[] = {
      {"scaled at once", false, 150, 144},
      {"assigned while loading", true, 100, 144},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* control = new TcxControl(form);
    control->SetParent(form);
    control->SetBounds(0, 0, 100, 20);
    if (c.loading) control->IncludeState(csLoading);
    control->SetParent(scaled);
    EXPECT_EQ(control->GetScaleFactor()->Numerator(), 3);
    EXPECT_EQ(control->GetScaleFactor()->Denominator(), 2);
    EXPECT_EQ(control->Width(), c.width);
    EXPECT_EQ(control->CurrentPPI(), c.ppi);
    control->ExcludeState(csLoading);
    // The same parent again changes nothing.
    EXPECT_FALSE(TcxControlHelper::CanSetParent(control, scaled));
    control->SetParent(scaled);
    EXPECT_EQ(control->GetScaleFactor()->Numerator(), 3);
    // Back on the 96-DPI form: back to 1/1.
    control->SetParent(form);
    EXPECT_FALSE(control->GetScaleFactor()->Assigned());
  }
}

TEST_F(ControlHelperTest, ChildComponentsFollowTheirControlOrScaleThemselves) {
  auto* withControl = new TcxControlChildComponent(scaled, true);
  EXPECT_EQ(TcxControlHelper::GetControlByObject(withControl), scaled);
  EXPECT_EQ(TcxControlHelper::GetCurrentDPIFromControl(withControl), 144);
  TcxControlChildComponent without(static_cast<TComponent*>(nullptr));
  EXPECT_EQ(TcxControlHelper::GetControlByObject(&without), nullptr);
  EXPECT_EQ(TcxControlHelper::GetCurrentDPIFromControl(&without), 96);
  TcxControlHelper::ScaleForPPI(&without, 192);
  EXPECT_EQ(without.ScaleFactor()->Numerator(), 2);
  EXPECT_EQ(without.ScaleFactor()->Denominator(), 1);
}

}  // namespace
}  // namespace qd::testing
