// The editor's view info: the border, background and buttons painted in each editor state under
// the UltraFlat and the Standard look, the hot-flat frames, the validation mark, hit tests, and
// what a recalculation invalidates.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "editors/edit_view_test_util.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd::testing {
namespace {

class EditViewInfo : public EditViewTest {
 protected:
  // The number of pixels of the colour inside R (editor coordinates).
  int Count(const TRect& R, TColor AColor) {
    const os::WindowPixels pixels = os::ReadWindowPixels(form->Handle(), true);
    const uint32_t expected = ExpectedRgb(AColor);
    int result = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
      for (int x = R.Left; x < R.Right; ++x)
        if ((pixels.At(kLeft + x, kTop + y) & 0xFFFFFF) == expected) ++result;
    return result;
  }
  static TPoint Centre(const TRect& R) { return TPoint{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }
  static TColor UltraFlatButtonColor(TcxButtonState AState) {
    return cxLookAndFeelPaintersManager()->GetPainter(lfsUltraFlat)->ButtonColor(AState);
  }
  // Puts the editor (with an ellipsis and a drop-down button) into a named state.
  void EnterState(const std::string& AState) {
    edit->SetEnabled(AState != "disabled");
    if (AState == "focused") {
      edit->SetFocus();
      Application->ProcessMessages();
    } else {
      Unfocus();
    }
    const TPoint button = Centre(Button(1)->Bounds);
    if (AState == "hot")
      MouseAt(TPoint{20, 12});
    else if (AState == "button hot")
      MouseAt(button);
    else if (AState == "button pressed")
      MouseAt(button, TShiftState{ssLeft}, cxmbLeft);
    else
      MouseAt(cxInvalidPoint);
  }

  struct Probe {
    int x, y;  // editor coordinates; negative x counts from the drop-down button's right edge
    TColor color;
  };
  struct StateCase {
    std::string state;
    std::vector<Probe> probes;
    TcxEditButtonState buttonState;
    TColor arrowColor;
  };
  void CheckStates(const std::vector<StateCase>& ACases, const char* APngPrefix) {
    AddButton(bkEllipsis);
    AddButton(bkDown);
    ShowForm();
    for (const StateCase& c : ACases) {
      SCOPED_TRACE(c.state);
      EnterState(c.state);
      SaveWindowPng(form->Handle(), std::string(APngPrefix) + "_" + c.state);
      const TRect b = Button(1)->Bounds;
      EXPECT_EQ(Button(1)->Data.State, c.buttonState);
      for (const Probe& p : c.probes) {
        const int x = p.x < 0 ? b.Right + p.x : p.x;
        EXPECT_EQ(Rgb(x, p.y), ExpectedRgb(p.color)) << "at " << x << ", " << p.y;
      }
      // The arrow is drawn in the content colour.
      EXPECT_GT(Count(b, c.arrowColor), 6);
    }
  }
};

TEST_F(EditViewInfo, UltraFlatEditorStates) {
  SetLookAndFeel(lfUltraFlat, false);
  // The transparent border leaves the outer ring to the form; the single line sits inside.
  // A normal or disabled button is framed in the background colour around its face; a hot or
  // pressed one takes the painter's button colour with a highlighted inner line.
  CheckStates(
      {
          {"normal",
           {{0, 0, clWhite},
            {1, 1, clBtnShadow},
            {20, 12, clWindow},
            {-10, 2, clWindow},
            {-10, 4, clBtnFace}},
           ebsNormal,
           clBtnText},
          {"hot", {{1, 1, clHighlight}, {20, 12, clWindow}, {-10, 4, clBtnFace}}, ebsNormal, clBtnText},
          {"focused", {{1, 1, clHighlight}, {20, 12, clWindow}, {-10, 4, clBtnFace}}, ebsNormal, clBtnText},
          {"disabled",
           {{1, 1, clBtnShadow}, {20, 12, clBtnFace}, {-10, 4, clBtnFace}},
           ebsDisabled,
           clBtnShadow},
          {"button hot",
           {{1, 1, clHighlight}, {-10, 4, UltraFlatButtonColor(cxbsHot)}},
           ebsSelected,
           clBtnText},
          // A mouse button down does not make the editor hot.
          {"button pressed",
           {{1, 1, clBtnShadow}, {-10, 4, UltraFlatButtonColor(cxbsPressed)}},
           ebsPressed,
           clBtnText},
      },
      "edit_ultraflat");
  // The hot button's inner side is a highlighted line; the editor's border is its outer side.
  EnterState("button hot");
  EXPECT_EQ(Rgb(Button(1)->Bounds.Left, 12), ExpectedRgb(clHighlight));
}

TEST_F(EditViewInfo, StandardEditorStates) {
  SetLookAndFeel(lfStandard, false);
  // A sunken 3D border and raised 3D buttons; a pressed button is flat with a shadow frame.
  const std::vector<Probe> raised = {{-1, 21, cl3DDkShadow}, {-2, 20, clBtnShadow}, {-10, 5, clBtnFace}};
  CheckStates(
      {
          {"normal", raised, ebsNormal, clBtnText},
          {"hot", raised, ebsNormal, clBtnText},
          {"focused", raised, ebsNormal, clBtnText},
          {"disabled", raised, ebsDisabled, clBtnShadow},
          {"button pressed", {{-1, 21, clBtnShadow}, {-2, 20, clBtnFace}}, ebsPressed, clBtnText},
      },
      "edit_standard");
  // The 3D frames of a raised button: light and highlight at the top left.
  EnterState("normal");
  const TRect b = Button(1)->Bounds;
  EXPECT_EQ(Rgb(b.Left, b.Top), ExpectedRgb(cl3DLight));
  EXPECT_EQ(Rgb(b.Left + 1, b.Top + 1), ExpectedRgb(clBtnHighlight));
  // The 3D border of the editor itself fills the outer two rings.
  EXPECT_NE(Rgb(0, 0), ExpectedRgb(clWhite));
  EXPECT_EQ(Rgb(20, 12), ExpectedRgb(clWindow));
}

TEST_F(EditViewInfo, DisabledContentIsEmbossed) {
  // Drawn once one pixel down and right in the highlight colour, then in place in the shadow.
  SetLookAndFeel(lfStandard, false);
  AddButton(bkEllipsis, false, 20);
  edit->SetEnabled(false);
  ShowForm();
  const TRect b = Button(0)->Bounds;
  // Three dots of 2 x 2 (the content is wider than 11 pixels) inside the button's frames, each
  // with its raised copy showing to the lower right.
  const TRect inside = cxRectInflate(b, -2, -2);
  EXPECT_EQ(Count(inside, clBtnShadow), 3 * 4);
  EXPECT_EQ(Count(inside, clBtnHighlight), 3 * 3);
}

TEST_F(EditViewInfo, HotFlatButtonNextToTheTextGetsAFullFrame) {
  edit->Style()->SetButtonStyle(btsHotFlat);
  AddButton(bkEllipsis);
  AddButton(bkDown);
  ShowForm();
  Unfocus();
  const TRect inner = Button(0)->Bounds;  // Leftmost of the right side
  const TRect outer = Button(1)->Bounds;
  ASSERT_TRUE(Button(0)->Data.Leftmost);
  ASSERT_FALSE(Button(1)->Data.Leftmost);
  EXPECT_EQ(Rgb(inner.Left, 12), ExpectedRgb(clBtnShadow));
  EXPECT_EQ(Rgb(outer.Left, 12), ExpectedRgb(clBtnFace));
  EXPECT_EQ(Rgb(outer.Right - 1, 12), ExpectedRgb(clBtnShadow));
  // Pressed, the face is the text colour and the arrow the window colour.
  MouseAt(Centre(outer), TShiftState{ssLeft}, cxmbLeft);
  EXPECT_EQ(Rgb(outer.Left + 3, 4), ExpectedRgb(clBtnText));
  EXPECT_GT(Count(outer, clWindow), 6);
}

TEST_F(EditViewInfo, Office11GradientButtonsRunFromTopToBottom) {
  edit->Style()->SetButtonStyle(btsOffice11);
  edit->Style()->SetGradientButtons(true);
  AddButton(bkEllipsis);
  ShowForm();
  Unfocus();
  const TRect b = Button(0)->Bounds;
  const uint32_t top = Rgb(b.Left + 3, b.Top + 2), bottom = Rgb(b.Left + 3, b.Bottom - 3);
  EXPECT_NE(top, bottom);
  EXPECT_NE(top, ExpectedRgb(clBtnFace));
  // Without gradient buttons the face is the Office 11 dock colour.
  edit->Style()->SetGradientButtons(false);
  MouseAt(cxInvalidPoint);
  EXPECT_EQ(Rgb(b.Left + 3, b.Top + 2), Rgb(b.Left + 3, b.Bottom - 3));
}

TEST_F(EditViewInfo, ValidationMarkIsDrawnInTheErrorArea) {
  auto* validating = new TestEdit(form);
  validating->SetParent(form);
  validating->SetEditAutoSize(false);
  validating->SetBounds(10, 40, 120, 24);
  validating->Style()->LookAndFeel()->SetNativeStyle(false);
  validating->Properties()->SetValidationOptions(TcxEditValidationOptions{evoShowErrorIcon});
  validating->Properties()->SetOnValidate(+[](TObject*, Variant&, String&, bool& AError) { AError = true; });
  ShowForm();
  validating->ValidateEdit(false);
  validating->ShortRefreshContainer(false);
  Repaint();
  SaveWindowPng(form->Handle(), "edit_error_icon");
  const TRect error = validating->ViewInfo()->ErrorBounds();
  ASSERT_FALSE(error.IsEmpty());
  // The error icon is a red disc, drawn inside its area only.
  const os::WindowPixels pixels = os::ReadWindowPixels(form->Handle(), true);
  auto redIn = [&](const TRect& R) {
    int count = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
      for (int x = R.Left; x < R.Right; ++x) {
        const uint32_t c = pixels.At(10 + x, 40 + y);
        if (((c >> 16) & 0xFF) > 0xB0 && ((c >> 8) & 0xFF) < 0x60 && (c & 0xFF) < 0x60) ++count;
      }
    return count;
  };
  EXPECT_GT(redIn(error), 60);
  EXPECT_EQ(redIn(TRect{error.Right, 0, 120, 24}), 0);
  // The editor's border starts after the icon area.
  EXPECT_EQ(validating->ViewInfo()->BorderRect.Left, error.Right + 2);
}

TEST_F(EditViewInfo, ArrowSizesAndShapes) {
  struct SizeCase {
    TSize content;
    TcxArrowDirection direction;
    TSize arrow;
  };
  // Width (S - 1) div 2 made odd, height width div 2 + 1; sideways arrows swap them.
  const SizeCase sizes[] = {{TSize{10, 10}, adDown, TSize{5, 3}}, {TSize{9, 20}, adUp, TSize{5, 3}},
                            {TSize{12, 12}, adDown, TSize{5, 3}}, {TSize{16, 16}, adDown, TSize{7, 4}},
                            {TSize{16, 16}, adLeft, TSize{4, 7}}, {TSize{3, 3}, adRight, TSize{1, 1}}};
  for (const SizeCase& c : sizes) EXPECT_EQ(GetArrowSize(c.content, c.direction), c.arrow);

  // Rows of each arrow drawn into a 9 x 9 rectangle, centred.
  struct ShapeCase {
    TcxArrowDirection direction;
    bool doubled;
    std::vector<std::string> rows;
  };
  const ShapeCase shapes[] = {
      {adDown,
       false,
       {".........", ".........", ".........", "..#####..", "...###...", "....#....", ".........",
        ".........", "........."}},
      {adUp,
       true,
       {".........", "....#....", "...###...", "..#####..", "....#....", "...###...", "..#####..",
        ".........", "........."}},
      {adRight,
       false,
       {".........", ".........", "...#.....", "...##....", "...###...", "...##....", "...#.....",
        ".........", "........."}},
  };
  for (const ShapeCase& c : shapes) {
    SCOPED_TRACE(static_cast<int>(c.direction));
    TcxBitmap32 bitmap(9, 9);
    bitmap.cxCanvas()->FillRect(TRect{0, 0, 9, 9}, clWhite);
    DrawArrow(bitmap.cxCanvas(), GetArrowSize(TSize{9, 9}, c.direction), TRect{0, 0, 9, 9}, clBlack, false,
              c.doubled, c.direction);
    TRGBColors colors;
    bitmap.GetBitmapColors(colors);
    for (int y = 0; y < 9; ++y) {
      std::string row;
      for (int x = 0; x < 9; ++x) row += colors[static_cast<size_t>((8 - y) * 9 + x)].rgbRed == 0 ? '#' : '.';
      EXPECT_EQ(row, c.rows[static_cast<size_t>(y)]) << "row " << y;
    }
  }
}

TEST_F(EditViewInfo, PartsAndHints) {
  const int32_t s = GetSystemMetrics(SM_CXVSCROLL);
  AddButton(bkEllipsis, true)->SetHint(u"Browse|Opens the browser");
  AddButton(bkDown);
  ShowForm();
  TcxCustomEditViewInfo* vi = edit->ViewInfo();
  EXPECT_EQ(vi->GetPart(TPoint{3, 12}), 0);
  EXPECT_EQ(vi->GetPart(TPoint{117, 12}), 1);
  EXPECT_EQ(vi->GetPart(TPoint{50, 12}), ecpControl);
  EXPECT_EQ(vi->GetPart(TPoint{0, 0}), ecpNone);
  EXPECT_EQ(vi->GetPartRect(ecpControl), (TRect{2 + s, 2, 118 - s, 22}));
  EXPECT_EQ(vi->GetPartRect(1), (TRect{118 - s, 2, 118, 22}));
  EXPECT_EQ(vi->GetHintText(0), u"Browse|Opens the browser");
  TRect textRect;
  bool multiLine = true;
  String text;
  EXPECT_TRUE(vi->NeedShowHint(edit->Canvas(), TPoint{3, 12}, 0, textRect, multiLine, text, TRect{}));
  EXPECT_EQ(text, u"Browse");
  EXPECT_FALSE(multiLine);
  EXPECT_FALSE(vi->NeedShowHint(edit->Canvas(), TPoint{50, 12}, 0, textRect, multiLine, text, TRect{}));
}

TEST_F(EditViewInfo, MovingOntoAButtonInvalidatesOnlyThatButton) {
  AddButton(bkEllipsis);
  AddButton(bkDown);
  ShowForm();
  Unfocus();
  MouseAt(TPoint{20, 12});
  auto inUpdate = [&](const TPoint& P) {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(edit->Handle(), rgn, FALSE);
    const bool in = PtInRegion(rgn, P.X, P.Y);
    DeleteObject(rgn);
    return in;
  };
  ValidateRect(edit->Handle(), nullptr);
  // Same container state, colours and button count: only the button whose state changed.
  edit->RefreshContainer(Centre(Button(1)->Bounds), cxmbNone, TShiftState{}, true);
  EXPECT_TRUE(inUpdate(Centre(Button(1)->Bounds)));
  EXPECT_FALSE(inUpdate(Centre(Button(0)->Bounds)));
  EXPECT_FALSE(inUpdate(TPoint{20, 12}));
  EXPECT_FALSE(inUpdate(TPoint{1, 1}));
  // A recalculation with nothing changed invalidates nothing.
  ValidateRect(edit->Handle(), nullptr);
  edit->RefreshContainer(Centre(Button(1)->Bounds), cxmbNone, TShiftState{}, true);
  EXPECT_FALSE(inUpdate(Centre(Button(1)->Bounds)));
  // Leaving the editor changes the container state: the frame and the buttons repaint.
  edit->RefreshContainer(cxInvalidPoint, cxmbNone, TShiftState{}, true);
  EXPECT_TRUE(inUpdate(TPoint{1, 1}));
}

}  // namespace
}  // namespace qd::testing
