// The editor view data: border extent, button placement for each side, border and direction,
// stretching in buttons-only style, button visibility and states, button styles, the error
// icon area and measuring.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "editors/edit_view_test_util.h"

namespace qd::testing {
namespace {

// Properties, a style and a view info calculated without a control, as an owner
// that draws editors in cells does.
class EditViewData : public EditViewTest {
 protected:
  void SetUp() override {
    EditViewTest::SetUp();
    properties = std::make_unique<TcxCustomEditProperties>(nullptr);
    style = std::make_unique<TcxEditStyle>(nullptr, false);
    style->LookAndFeel()->SetKind(lfUltraFlat);
    style->LookAndFeel()->SetNativeStyle(false);
    style->SetBorderStyle(cbsSingle);
    style->SetTransparentBorder(false);
    bitmap = std::make_unique<TcxBitmap32>(16, 16);
  }
  void TearDown() override {
    viewInfo.reset();
    properties.reset();
    style.reset();
    bitmap.reset();
    EditViewTest::TearDown();
  }
  TcxCustomEditButton* Add(TcxEditButtonKind AKind, bool ALeft = false, int32_t AWidth = 0) {
    TcxCustomEditButton* button = properties->Buttons()->Add();
    button->SetKind(AKind);
    button->SetLeftAlignment(ALeft);
    button->SetWidth(AWidth);
    return button;
  }
  std::unique_ptr<TcxCustomEditViewData> NewViewData(bool AInplace = false) {
    return std::unique_ptr<TcxCustomEditViewData>(properties->CreateViewData(style.get(), AInplace));
  }
  // Calculates for Bounds with the mouse at P.
  TcxCustomEditViewInfo* Calculate(const TRect& ABounds, const TPoint& P = cxInvalidPoint,
                                   TShiftState AShift = {}, TcxMouseButton AButton = cxmbNone,
                                   const std::function<void(TcxCustomEditViewData*)>& ASetUp = nullptr,
                                   bool AInplace = false) {
    std::unique_ptr<TcxCustomEditViewData> viewData = NewViewData(AInplace);
    if (ASetUp) ASetUp(viewData.get());
    if (!viewInfo) viewInfo = std::make_unique<TcxCustomEditViewInfo>();
    viewData->Calculate(bitmap->cxCanvas(), ABounds, P, AButton, AShift, viewInfo.get(), AButton != cxmbNone);
    return viewInfo.get();
  }
  TcxEditButtonViewInfo* B(int32_t I) { return viewInfo->ButtonsInfo.at(static_cast<size_t>(I)).get(); }

  static int32_t ScrollWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

  std::unique_ptr<TcxCustomEditProperties> properties;
  std::unique_ptr<TcxEditStyle> style;
  std::unique_ptr<TcxBitmap32> bitmap;
  std::unique_ptr<TcxCustomEditViewInfo> viewInfo;
};

TEST_F(EditViewData, BorderExtentByBorderStyleShadowAndTransparentBorder) {
  struct Case {
    const char* name;
    TcxContainerBorderStyle borderStyle;
    bool transparentBorder, shadow;
    TRect extent;
  };
  const Case cases[] = {
      {"single", cbsSingle, false, false, TRect{1, 1, 1, 1}},
      {"thick", cbsThick, false, false, TRect{2, 2, 2, 2}},
      {"3D", cbs3D, false, false, TRect{2, 2, 2, 2}},
      {"ultra flat is drawn single", cbsUltraFlat, false, false, TRect{1, 1, 1, 1}},
      {"none", cbsNone, false, false, TRect{0, 0, 0, 0}},
      {"shadow", cbsSingle, false, true, TRect{1, 1, 4, 4}},
      {"transparent border", cbsSingle, true, false, TRect{2, 2, 2, 2}},
      {"transparent border and shadow", cbsNone, true, true, TRect{2, 2, 5, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    style->SetBorderStyle(c.borderStyle);
    style->SetTransparentBorder(c.transparentBorder);
    style->SetShadow(c.shadow);
    TcxCustomEditViewInfo* vi = Calculate(TRect{0, 0, 100, 20});
    EXPECT_EQ(vi->BorderExtent, c.extent);
    EXPECT_EQ(vi->BorderRect,
              (TRect{c.extent.Left, c.extent.Top, 100 - c.extent.Right, 20 - c.extent.Bottom}));
    EXPECT_EQ(vi->Shadow, c.shadow);
  }
  // A stand-alone editor without buttons has the border extent as its client extent.
  EXPECT_EQ(viewInfo->ClientRect, viewInfo->BorderRect);
}

TEST_F(EditViewData, ButtonsArePlacedFromTheOuterEdgesInward) {
  const int32_t s = ScrollWidth();
  struct ButtonDef {
    TcxEditButtonKind kind;
    bool left;
    int32_t width;
  };
  struct Expected {
    TRect bounds;
    bool leftmost, rightmost, leftAligned;
  };
  struct Case {
    const char* name;
    std::vector<ButtonDef> buttons;
    TcxContainerBorderStyle borderStyle;
    bool rightToLeft;
    std::vector<Expected> expected;
    TRect client;
  };
  const Case cases[] = {
      {"one right",
       {{bkDown, false, 0}},
       cbsSingle,
       false,
       {{TRect{99 - s, 1, 99, 19}, true, true, false}},
       TRect{1, 1, 99 - s, 19}},
      {"two right: the last one at the edge",
       {{bkEllipsis, false, 0}, {bkDown, false, 0}},
       cbsSingle,
       false,
       {{TRect{99 - 2 * s, 1, 99 - s, 19}, true, false, false},
        {TRect{99 - s, 1, 99, 19}, false, true, false}},
       TRect{1, 1, 99 - 2 * s, 19}},
      {"left and right",
       {{bkEllipsis, true, 0}, {bkDown, false, 0}},
       cbsSingle,
       false,
       {{TRect{1, 1, 1 + s, 19}, true, true, true}, {TRect{99 - s, 1, 99, 19}, true, true, false}},
       TRect{1 + s, 1, 99 - s, 19}},
      {"two left: the last one at the edge",
       {{bkEllipsis, true, 0}, {bkDown, true, 0}},
       cbsSingle,
       false,
       {{TRect{1 + s, 1, 1 + 2 * s, 19}, false, true, true}, {TRect{1, 1, 1 + s, 19}, true, false, true}},
       TRect{1 + 2 * s, 1, 99, 19}},
      {"right to left mirrors the sides",
       {{bkEllipsis, true, 0}, {bkDown, false, 0}},
       cbsSingle,
       true,
       {{TRect{99 - s, 1, 99, 19}, true, true, false}, {TRect{1, 1, 1 + s, 19}, true, true, true}},
       TRect{1 + s, 1, 99 - s, 19}},
      {"without a border",
       {{bkDown, false, 0}},
       cbsNone,
       false,
       {{TRect{100 - s, 0, 100, 20}, true, true, false}},
       TRect{0, 0, 100 - s, 20}},
      {"thick border, fixed width",
       {{bkGlyph, false, 30}},
       cbsThick,
       false,
       {{TRect{68, 2, 98, 18}, true, true, false}},
       TRect{2, 2, 68, 18}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    properties->Buttons()->Clear();
    for (const ButtonDef& b : c.buttons) Add(b.kind, b.left, b.width);
    style->SetBorderStyle(c.borderStyle);
    TcxCustomEditViewInfo* vi = Calculate(
        TRect{0, 0, 100, 20}, cxInvalidPoint, {}, cxmbNone,
        [&](TcxCustomEditViewData* AViewData) { AViewData->UseRightToLeftAlignment = c.rightToLeft; });
    ASSERT_EQ(vi->ButtonCount(), static_cast<int32_t>(c.expected.size()));
    for (size_t i = 0; i < c.expected.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(B(static_cast<int32_t>(i))->Bounds, c.expected[i].bounds);
      EXPECT_EQ(B(static_cast<int32_t>(i))->VisibleBounds, c.expected[i].bounds);
      EXPECT_EQ(B(static_cast<int32_t>(i))->Data.Leftmost, c.expected[i].leftmost);
      EXPECT_EQ(B(static_cast<int32_t>(i))->Data.Rightmost, c.expected[i].rightmost);
      EXPECT_EQ(B(static_cast<int32_t>(i))->Data.LeftAlignment, c.expected[i].leftAligned);
      EXPECT_EQ(B(static_cast<int32_t>(i))->ButtonVisibleIndex, static_cast<int32_t>(i));
    }
    EXPECT_EQ(vi->ClientRect, c.client);
  }
}

TEST_F(EditViewData, InvisibleButtonsTakeNoPlaceAndIndexesCountVisibleOnes) {
  const int32_t s = ScrollWidth();
  Add(bkEllipsis);
  Add(bkGlyph)->SetVisible(false);
  Add(bkDown);
  TcxCustomEditViewInfo* vi = Calculate(TRect{0, 0, 100, 20});
  ASSERT_EQ(vi->ButtonCount(), 2);
  EXPECT_EQ(B(0)->ButtonIndex, 0);
  EXPECT_EQ(B(1)->ButtonIndex, 2);
  EXPECT_EQ(B(0)->Bounds, (TRect{99 - 2 * s, 1, 99 - s, 19}));
  // Only one button of kind bkDown that is the single button is a combo-box button.
  EXPECT_FALSE(B(1)->Data.ComboBoxStyle);
}

TEST_F(EditViewData, AButtonAreaNarrowerThanTheButtonClipsOnlyTheVisibleBounds) {
  Add(bkGlyph, false, 30);
  TcxCustomEditViewInfo* vi = Calculate(TRect{0, 0, 22, 20});
  EXPECT_EQ(B(0)->Bounds, (TRect{-9, 1, 21, 19}));
  EXPECT_EQ(B(0)->VisibleBounds, (TRect{1, 1, 21, 19}));
  EXPECT_EQ(vi->GetPart(TPoint{5, 5}), 0);
}

TEST_F(EditViewData, InPlaceButtonsUseTheContentOffsetInsteadOfABorder) {
  const int32_t s = ScrollWidth();
  Add(bkDown);
  TcxCustomEditViewInfo* vi = Calculate(
      TRect{0, 0, 100, 20}, cxInvalidPoint, {}, cxmbNone,
      [](TcxCustomEditViewData* AViewData) {
        AViewData->ContentOffset = TRect{2, 3, 2, 3};
      },
      true);
  EXPECT_EQ(vi->EditBorderStyle, cbsNone);
  EXPECT_EQ(vi->BorderExtent, (TRect{2, 3, 2, 3}));
  EXPECT_TRUE(vi->HasContentOffsets);
  EXPECT_EQ(B(0)->Bounds, (TRect{98 - s, 3, 98, 17}));
  // In-place editors take their button style from the look-and-feel kind.
  EXPECT_EQ(B(0)->Data.Style, btsUltraFlat);
}

TEST_F(EditViewData, ButtonsOnlyStyleSharesTheFreeWidthByButtonWidth) {
  // 50 free pixels between two stretchable buttons of 20 and 30: the last grows by
  // 30 * 50 div 50 = 30, the first by what is left.
  properties->SetButtonsViewStyle(bvsButtonsOnly);
  Add(bkEllipsis, false, 20);
  Add(bkDown, false, 30);
  TcxCustomEditViewInfo* vi = Calculate(TRect{0, 0, 102, 20});
  EXPECT_EQ(B(0)->Bounds, (TRect{1, 1, 41, 19}));
  EXPECT_EQ(B(1)->Bounds, (TRect{41, 1, 101, 19}));
  EXPECT_EQ(B(0)->VisibleBounds, B(0)->Bounds);
  EXPECT_TRUE(B(0)->Data.Leftmost);
  EXPECT_TRUE(B(1)->Data.Rightmost);

  // A button that does not stretch keeps its width; the other takes all.
  properties->Buttons()->Items(1)->SetStretchable(false);
  vi = Calculate(TRect{0, 0, 102, 20});
  EXPECT_EQ(B(1)->Bounds, (TRect{71, 1, 101, 19}));
  EXPECT_EQ(B(0)->Bounds, (TRect{1, 1, 71, 19}));
  EXPECT_EQ(vi->ButtonCount(), 2);

  // Left and right buttons in buttons-only style: no side is the inner one.
  properties->Buttons()->Items(0)->SetLeftAlignment(true);
  Calculate(TRect{0, 0, 102, 20});
  EXPECT_TRUE(B(0)->Data.Leftmost);
  EXPECT_FALSE(B(0)->Data.Rightmost);
  EXPECT_FALSE(B(1)->Data.Leftmost);
  EXPECT_TRUE(B(1)->Data.Rightmost);
  EXPECT_FALSE(B(0)->Data.LeftAlignment);
}

TEST_F(EditViewData, ButtonTransparencyHidesButtonsOfAnInactiveEditor) {
  Add(bkDown);
  struct Case {
    TcxEditButtonTransparency transparency;
    bool focused;
    TPoint mouse;
    int32_t count;
    bool transparent;
  };
  const Case cases[] = {
      {ebtNone, false, cxInvalidPoint, 1, false},
      {ebtHideInactive, false, TPoint{10, 10}, 0, false},
      {ebtHideInactive, true, cxInvalidPoint, 1, false},
      {ebtHideUnselected, false, cxInvalidPoint, 0, false},
      {ebtHideUnselected, false, TPoint{10, 10}, 1, false},
      {ebtInactive, false, cxInvalidPoint, 1, true},
      {ebtInactive, true, cxInvalidPoint, 1, false},
      {ebtAlways, true, cxInvalidPoint, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.transparency) * 10 + c.focused);
    style->SetButtonTransparency(c.transparency);
    TcxCustomEditViewInfo* vi =
        Calculate(TRect{0, 0, 100, 20}, c.mouse, {}, cxmbNone,
                  [&](TcxCustomEditViewData* AViewData) { AViewData->Focused = c.focused; });
    ASSERT_EQ(vi->ButtonCount(), c.count);
    if (c.count > 0) EXPECT_EQ(B(0)->Data.Transparent, c.transparent);
  }
}

TEST_F(EditViewData, ButtonStatesFollowTheMouse) {
  const int32_t s = ScrollWidth();
  Add(bkEllipsis);
  Add(bkDown);
  const TPoint overFirst{99 - 2 * s + 3, 10}, overSecond{99 - 3, 10};
  TcxCustomEditViewInfo* vi = Calculate(TRect{0, 0, 100, 20}, overSecond);
  EXPECT_EQ(B(0)->Data.State, ebsNormal);
  EXPECT_EQ(B(1)->Data.State, ebsSelected);
  EXPECT_EQ(vi->SelectedButton, 1);
  EXPECT_TRUE(vi->IsHotTrack());
  EXPECT_TRUE(vi->ContainerState.Contains(csHotTrack));

  // A left press over a button presses it.
  vi = Calculate(TRect{0, 0, 100, 20}, overFirst, TShiftState{ssLeft}, cxmbLeft);
  EXPECT_EQ(B(0)->Data.State, ebsPressed);
  EXPECT_EQ(vi->PressedButton, 0);
  EXPECT_TRUE(vi->IsButtonReallyPressed);
  EXPECT_EQ(B(1)->Data.State, ebsNormal);
  // Held down and moved away and back it stays pressed; away it is normal.
  vi = Calculate(TRect{0, 0, 100, 20}, TPoint{20, 10}, TShiftState{ssLeft}, cxmbNone);
  EXPECT_EQ(B(0)->Data.State, ebsNormal);
  EXPECT_EQ(vi->PressedButton, -1);
  // A right button down over a button only makes it normal.
  vi = Calculate(TRect{0, 0, 100, 20}, overSecond, TShiftState{ssRight}, cxmbRight);
  EXPECT_EQ(B(1)->Data.State, ebsNormal);

  // Disabled buttons and disabled editors.
  properties->Buttons()->Items(0)->SetEnabled(false);
  Calculate(TRect{0, 0, 100, 20}, overFirst);
  EXPECT_EQ(B(0)->Data.State, ebsDisabled);
  Calculate(TRect{0, 0, 100, 20}, overSecond, {}, cxmbNone,
            [](TcxCustomEditViewData* AViewData) { AViewData->Enabled = false; });
  EXPECT_EQ(B(1)->Data.State, ebsDisabled);
  EXPECT_EQ(viewInfo->ContainerState, TcxContainerState{csDisabled});

  // OnGetButtonState has the last word.
  viewInfo->OnGetButtonState = +[](TcxCustomEditViewInfo*, TcxEditButtonViewInfo*,
                                   TcxEditButtonState& AState) { AState = ebsPressed; };
  Calculate(TRect{0, 0, 100, 20});
  EXPECT_EQ(B(0)->Data.State, ebsPressed);
}

TEST_F(EditViewData, DefaultButtonStyleFollowsBorderStyleOrLookAndFeelKind) {
  Add(bkDown);
  const TcxEditButtonStyle byBorder[] = {btsSimple, btsHotFlat,   bts3D,      btsFlat,
                                         bts3D,     btsUltraFlat, btsOffice11};
  for (int b = 0; b <= cbsOffice11; ++b) {
    SCOPED_TRACE(b);
    style->SetBorderStyle(static_cast<TcxContainerBorderStyle>(b));
    Calculate(TRect{0, 0, 100, 20});
    EXPECT_EQ(B(0)->Data.Style, byBorder[b]);
  }
  // Without a border and without hot tracking the kind decides.
  style->SetBorderStyle(cbsNone);
  style->SetHotTrack(false);
  const TcxEditButtonStyle byKind[] = {btsFlat, bts3D, btsUltraFlat, btsOffice11};
  for (int k = 0; k <= lfOffice11; ++k) {
    SCOPED_TRACE(k);
    style->LookAndFeel()->SetKind(static_cast<TcxLookAndFeelKind>(k));
    Calculate(TRect{0, 0, 100, 20});
    EXPECT_EQ(B(0)->Data.Style, byKind[k]);
  }
  // An assigned button style wins.
  style->SetButtonStyle(btsHotFlat);
  Calculate(TRect{0, 0, 100, 20});
  EXPECT_EQ(B(0)->Data.Style, btsHotFlat);
}

TEST_F(EditViewData, ButtonWidthsByKind) {
  const int32_t s = ScrollWidth();
  TcxCustomEditButton* text = Add(bkText);
  text->SetCaption(u"&Long caption");
  Add(bkEllipsis);
  Add(bkDown, false, 2);  // below the border width of 4
  Calculate(TRect{0, 0, 300, 20});
  bitmap->cxCanvas()->Font()->Assign(style->GetVisibleFont());
  const int32_t textWidth = bitmap->cxCanvas()->TextWidth(u"Long caption");
  EXPECT_EQ(B(0)->Data.VisibleCaption, u"Long caption");
  EXPECT_EQ(B(0)->Bounds.Width(), std::max(4 + textWidth + 2 + 1, s));
  EXPECT_EQ(B(1)->Bounds.Width(), s);
  EXPECT_EQ(B(2)->Bounds.Width(), 4);
  EXPECT_TRUE(viewInfo->HasTextButtons);
}

TEST_F(EditViewData, ErrorIconTakesItsSideOfTheEditor) {
  // An editor with a validation error and evoShowErrorIcon: the icon's width plus 3 pixels
  // at the properties' side, mirrored right to left.
  auto* validating = new TestEdit(form);
  validating->SetParent(form);
  validating->SetEditAutoSize(false);
  validating->SetBounds(10, 40, 120, 24);
  validating->Style()->LookAndFeel()->SetNativeStyle(false);
  auto* props = validating->Properties();
  props->SetValidationOptions(TcxEditValidationOptions{evoShowErrorIcon});
  props->SetOnValidate(+[](TObject*, Variant&, String& AText, bool& AError) {
    AError = true;
    AText = u"Wrong";
  });
  ShowForm();
  validating->ValidateEdit(false);
  ASSERT_TRUE(validating->ValidationError());
  struct Case {
    TLeftRight side;
    bool rightToLeft;
    TRect error;
  };
  const Case cases[] = {{taLeftJustify, false, TRect{0, 0, 19, 24}},
                        {taRightJustify, false, TRect{101, 0, 120, 24}},
                        {taLeftJustify, true, TRect{101, 0, 120, 24}}};
  for (const Case& c : cases) {
    props->SetValidationErrorIconAlignment(c.side);
    validating->SetBiDiMode(c.rightToLeft ? bdRightToLeft : bdLeftToRight);
    validating->CalculateViewInfo(false);
    TcxCustomEditViewInfo* vi = validating->ViewInfo();
    ASSERT_TRUE(vi->NeedShowErrorIcon());
    EXPECT_EQ(vi->ErrorBounds(), c.error);
    EXPECT_EQ(vi->EditorBounds(), c.error.Left == 0 ? (TRect{19, 0, 120, 24}) : (TRect{0, 0, 101, 24}));
    EXPECT_EQ(vi->GetPart(TPoint{c.error.Left + 5, 10}), ecpErrorIcon);
    EXPECT_EQ(vi->GetHintText(ecpErrorIcon), u"Wrong");
    EXPECT_EQ(vi->GetPartRect(ecpErrorIcon), c.error);
  }
  // Without the option no icon area is taken.
  props->SetValidationOptions({});
  validating->CalculateViewInfo(false);
  EXPECT_FALSE(validating->ViewInfo()->NeedShowErrorIcon());
  EXPECT_EQ(validating->ViewInfo()->EditorBounds(), (TRect{0, 0, 120, 24}));
}

TEST_F(EditViewData, MeasuringAddsTheConstantPartAndTheTallestButtonContent) {
  std::unique_ptr<TcxCustomEditViewData> viewData = NewViewData();
  TSize minContent;
  // Border 1 on each side.
  EXPECT_EQ(viewData->GetEditConstantPartSize(bitmap->cxCanvas(), cxDefaultEditSizeProperties, minContent),
            (TSize{2, 2}));
  EXPECT_EQ(minContent, (TSize{0, 0}));
  // A 16-pixel glyph needs 16 + 2 (buttons extent) + 2 (ultra-flat button offset) rows of the
  // button area, less the constant part.
  TcxCustomEditButton* glyph = Add(bkGlyph);
  TcxBitmap32 image(16, 16, true);
  glyph->Glyph()->SetBitmap(&image);
  viewData = NewViewData();
  const TSize constant =
      viewData->GetEditConstantPartSize(bitmap->cxCanvas(), cxDefaultEditSizeProperties, minContent);
  EXPECT_EQ(constant, (TSize{2 + 4 + 16, 2}));
  EXPECT_EQ(minContent.cy, 16 + 2 + 2 - 2);
  // The base content is empty, so the size is the constant part raised to the content minimum.
  EXPECT_EQ(viewData->GetEditSize(bitmap->cxCanvas(), Null(), cxDefaultEditSizeProperties),
            (TSize{22, 2 + 18}));
}

}  // namespace
}  // namespace qd::testing
