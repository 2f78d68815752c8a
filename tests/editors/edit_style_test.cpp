// Editor styles: the extra values, inheritance from the normal style and the style controller,
// and the default controller made at start-up.
#include <gtest/gtest.h>

#include "ui/editors/cxEdit.h"

namespace qd {
namespace {

TcxEditStyle* EditStyleOf(TcxContainerStyles& AStyles, TcxContainerStateItem AState) {
  return static_cast<TcxEditStyle*>(AStyles.Style(AState));
}

TEST(EditStyle, StatesInheritTheNormalStyleAndOnceOnlyValuesAreForwarded) {
  TcxContainerStyles styles(nullptr, &cxCreateContainerStyle<TcxEditStyle>);
  TcxEditStyle* normal = EditStyleOf(styles, csNormal);
  TcxEditStyle* hot = EditStyleOf(styles, csHotTrack);
  EXPECT_EQ(hot->ButtonStyle(), btsDefault);
  EXPECT_EQ(hot->GradientDirection(), dirDown);
  EXPECT_TRUE(hot->PopupCloseButton());

  normal->SetGradientDirection(dirUp);
  EXPECT_EQ(hot->GradientDirection(), dirUp);

  const TcxContainerStyleValues hotBefore = hot->AssignedValues();
  hot->SetGradient(true);
  EXPECT_TRUE(normal->Gradient());
  EXPECT_TRUE(normal->AssignedValues().Contains(svGradient));
  EXPECT_EQ(hot->AssignedValues(), hotBefore);

  hot->SetButtonStyle(btsFlat);
  EXPECT_TRUE(hot->AssignedValues().Contains(svButtonStyle));
  EXPECT_EQ(hot->ButtonStyle(), btsFlat);
  EXPECT_EQ(normal->ButtonStyle(), btsDefault);
  EXPECT_FALSE(normal->IsValueAssigned(svButtonStyle));
  EXPECT_EQ(EditStyleOf(styles, csActive)->ButtonStyle(), btsDefault);
}

TEST(EditStyle, ValuesNamesAndAssignment) {
  TcxEditStyle style(nullptr, false);
  EXPECT_EQ(style.GetStyleValueCount(), 16);
  String name;
  ASSERT_TRUE(style.GetStyleValueName(svPopupBorderStyle, name));
  EXPECT_EQ(name, u"PopupBorderStyle");
  ASSERT_TRUE(style.GetStyleValueName(svBorderStyle, name));
  EXPECT_EQ(name, u"BorderStyle");
  EXPECT_FALSE(style.GetStyleValueName(16, name));

  style.SetButtonStyle(btsUltraFlat);
  style.SetPopupBorderStyle(epbsFlat);
  style.SetPopupCloseButton(false);
  TcxEditStyle copy(nullptr, false);
  copy.Assign(&style);
  EXPECT_EQ(copy.ButtonStyle(), btsUltraFlat);
  EXPECT_EQ(copy.PopupBorderStyle(), epbsFlat);
  EXPECT_FALSE(copy.PopupCloseButton());
  EXPECT_TRUE(copy.AssignedValues().Contains(svButtonStyle));
}

TEST(EditStyle, ControllerSuppliesValuesUntilTheStyleAssignsOne) {
  TcxEditStyleController controller(nullptr);
  controller.Style()->SetButtonStyle(btsHotFlat);
  controller.StyleHot()->SetButtonStyle(bts3D);
  TcxContainerStyles styles(nullptr, &cxCreateContainerStyle<TcxEditStyle>);
  TcxEditStyle* normal = EditStyleOf(styles, csNormal);
  normal->SetStyleController(&controller);
  EXPECT_EQ(normal->ButtonStyle(), btsHotFlat);
  EXPECT_TRUE(normal->IsValueAssigned(svButtonStyle));
  EXPECT_EQ(EditStyleOf(styles, csHotTrack)->ButtonStyle(), bts3D);  // same-state controller style
  normal->SetButtonStyle(btsSimple);
  EXPECT_EQ(normal->ButtonStyle(), btsSimple);
  normal->SetStyleController(nullptr);
}

TEST(EditStyle, DefaultControllerLifetime) {
  TcxStyleController* before = cxContainerDefaultStyleController;
  cxEdit::Initialize();
  ASSERT_NE(DefaultEditStyleController(), nullptr);
  EXPECT_EQ(cxContainerDefaultStyleController, DefaultEditStyleController());
  DefaultEditStyleController()->Style()->SetGradientButtons(true);
  {
    TcxEditStyle style(nullptr, false);
    EXPECT_TRUE(style.GradientButtons());  // a stand-alone style falls back to it
    TcxEditStyle direct(nullptr, true);
    EXPECT_FALSE(direct.GradientButtons());  // direct access: no controller
  }
  cxEdit::Finalize();
  EXPECT_EQ(DefaultEditStyleController(), nullptr);
  EXPECT_EQ(cxContainerDefaultStyleController, before);
}

}  // namespace
}  // namespace qd
