// Controls aligned with margins, and the panel that holds them.
#include <gtest/gtest.h>

#include "forms_test_util.h"
#include "platform/forms/extctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/stdctrls.h"

namespace qd::testing {
namespace {

class MarginsTest : public FormsTest {};

TEST_F(MarginsTest, AlignedControlsKeepTheirMarginsFree) {
  TForm* form = CreateNewForm<TForm>(Application);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, 300, 200);
  struct Row {
    TAlign Align;
    TRect Margins;  // left, top, right, bottom
    TRect Expected;
    TRect WithoutMargins;
  };
  // Each row alone on the form: a 40 x 30 control.
  const Row rows[] = {
      {alTop, {1, 2, 3, 4}, {1, 2, 297, 32}, {0, 0, 300, 30}},
      {alBottom, {1, 2, 3, 4}, {1, 166, 297, 196}, {0, 170, 300, 200}},
      {alLeft, {1, 2, 3, 4}, {1, 2, 41, 196}, {0, 0, 40, 200}},
      {alRight, {1, 2, 3, 4}, {257, 2, 297, 196}, {260, 0, 300, 200}},
      {alClient, {10, 10, 10, 10}, {10, 10, 290, 190}, {0, 0, 300, 200}},
  };
  form->Show();
  for (const Row& r : rows) {
    SCOPED_TRACE(static_cast<int>(r.Align));
    auto* c = new TButton(form);
    c->SetBounds(0, 0, 40, 30);
    c->Margins()->SetLeft(r.Margins.Left);
    c->Margins()->SetTop(r.Margins.Top);
    c->Margins()->SetRight(r.Margins.Right);
    c->Margins()->SetBottom(r.Margins.Bottom);
    c->SetAlignWithMargins(true);
    c->SetParent(form);
    c->SetAlign(r.Align);
    EXPECT_EQ(c->BoundsRect(), r.Expected);
    // Without margins it takes the edge again.
    c->SetAlignWithMargins(false);
    EXPECT_EQ(c->BoundsRect(), r.WithoutMargins);
    delete c;
  }
}

TEST_F(MarginsTest, PanelAtTheBottomWithButtonsAtItsRightEdge) {
  TForm* form = CreateNewForm<TForm>(Application);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, 330, 262);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetHeight(31);
  panel->Margins()->SetLeft(10);
  panel->Margins()->SetTop(0);
  panel->Margins()->SetRight(10);
  panel->Margins()->SetBottom(10);
  panel->SetAlignWithMargins(true);
  panel->SetAlign(alBottom);
  TButton* buttons[3];
  for (int i = 0; i < 3; ++i) {
    buttons[i] = new TButton(form);
    buttons[i]->SetBounds(10 + 80 * i, 3, 75, 25);
    buttons[i]->SetParent(panel);
    buttons[i]->SetAlignWithMargins(true);
    if (i == 2) buttons[i]->Margins()->SetRight(0);
    buttons[i]->SetAlign(alRight);
  }
  form->Show();
  EXPECT_EQ(panel->BoundsRect(), (TRect{10, 221, 320, 252}));
  EXPECT_EQ(buttons[2]->BoundsRect(), (TRect{235, 3, 310, 28}));
  EXPECT_EQ(buttons[1]->BoundsRect(), (TRect{154, 3, 229, 28}));
  EXPECT_EQ(buttons[0]->BoundsRect(), (TRect{73, 3, 148, 28}));
  // A wider form moves the buttons with the panel's right edge.
  form->SetBounds(0, 0, 430, 262);
  EXPECT_EQ(panel->BoundsRect(), (TRect{10, 221, 420, 252}));
  EXPECT_EQ(buttons[2]->BoundsRect(), (TRect{335, 3, 410, 28}));
}

}  // namespace
}  // namespace qd::testing
