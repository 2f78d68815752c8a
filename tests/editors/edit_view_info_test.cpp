// The editor's view info: painting of the border, background and buttons in each state and
// button style, hit tests, and what a recalculation invalidates.
#include <gtest/gtest.h>

#include "editors/edit_view_test_util.h"

namespace qd::testing {
namespace {

using EditViewInfo = EditViewTest;

TEST_F(EditViewInfo, Smoke) {
  AddButton(bkDown);
  AddButton(bkEllipsis);
  ShowForm();
  Unfocus();
  SaveWindowPng(form->Handle(), "edit_smoke");
  EXPECT_EQ(edit->ViewInfo()->ButtonCount(), 2);
}

}  // namespace
}  // namespace qd::testing
