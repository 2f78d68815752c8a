// The base painter's range control, layout control, message box, breadcrumb edit, drop-down list
// box, rating control, fixed group indicator, wheel picker, rich edit and tokens.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "lookandfeel/painter_draw_test_util.h"
#include "platform/os/user.h"
#include "ui/core/dxDPIAwareUtils.h"

namespace qd::testing {
namespace {

class PainterControlsTest : public PainterDrawTest {
 protected:
  static int Count(PainterProbe& AProbe, uint32_t ARgb) {
    int n = 0;
    for (int y = 0; y < AProbe.Bitmap().H(); ++y)
      for (int x = 0; x < AProbe.Bitmap().W(); ++x) n += AProbe.Rgb(x, y) == ARgb;
    return n;
  }

  TcxCustomLookAndFeelPainter painter_;
  TdxScaleFactor* sf_ = dxDefaultScaleFactor();
  const uint32_t sentinel_ = kSentinel & 0xFFFFFF;
};

TEST_F(PainterControlsTest, ConstantsAndDelegations) {
  struct Case {
    const char* name;
    std::function<uint32_t()> get;
    uint32_t want;
  };
  TcxCustomLookAndFeelPainter& p = painter_;
  const std::vector<Case> cases = {
      {"range back", [&] { return uint32_t(p.GetRangeControlBackColor()); }, uint32_t(clWindow)},
      {"range border", [&] { return uint32_t(p.GetRangeControlBorderColor()); }, 0xAAA09D},
      {"range element", [&] { return uint32_t(p.GetRangeControlDefaultElementColor()); }, 0xA69A9A},
      {"range element fore", [&] { return uint32_t(p.GetRangeControlElementForeColor()); }, 0xE1DEDD},
      {"range elements border", [&] { return p.GetRangeControlElementsBorderColor(); }, 0xFFB6B8BF},
      {"range label", [&] { return uint32_t(p.GetRangeControlLabelColor()); }, 0xBAAEAE},
      {"range out of range", [&] { return p.GetRangeControlOutOfRangeColor(); }, 0x1E9DA0AA},
      {"range ruler", [&] { return p.GetRangeControlRulerColor(); }, 0x14000000},
      {"range scroll area", [&] { return uint32_t(p.GetRangeControlScrollAreaColor()); }, 0xE1DEDD},
      {"range selected back", [&] { return p.GetRangeControlSelectedRegionBackgroundColor(); }, 0x64A8C3F1},
      {"range selected border", [&] { return p.GetRangeControlSelectedRegionBorderColor(); }, 0x644571BA},
      {"range view port", [&] { return uint32_t(p.GetRangeControlViewPortPreviewColor()); }, 0xF2F1F0},
      {"layout empty area", [&] { return uint32_t(p.LayoutControlEmptyAreaColor()); }, uint32_t(clBtnFace)},
      {"customization list", [&] { return uint32_t(p.GetCustomizationFormListBackgroundColor()); },
       uint32_t(clBtnFace)},
      {"breadcrumb background", [&] { return uint32_t(p.BreadcrumbEditBackgroundColor(dxbcsHot)); },
       uint32_t(clBtnFace)},
      {"breadcrumb node text", [&] { return uint32_t(p.BreadcrumbEditNodeTextColor(dxbcbsHot)); },
       uint32_t(clBtnText)},
      {"breadcrumb disabled node", [&] { return uint32_t(p.BreadcrumbEditNodeTextColor(dxbcbsDisabled)); },
       uint32_t(clBtnShadow)},
      {"list item selected", [&] { return uint32_t(p.DropDownListBoxItemTextColor(true)); },
       uint32_t(clHighlightText)},
      {"list item", [&] { return uint32_t(p.DropDownListBoxItemTextColor(false)); }, uint32_t(clMenuText)},
      {"wheel border hot", [&] { return uint32_t(p.GetWheelPickerBorderItemColor(cxbsHot)); }, 0xD9D9D9},
      {"wheel border pressed", [&] { return uint32_t(p.GetWheelPickerBorderItemColor(cxbsPressed)); },
       0xE7C9BC},
      {"wheel border normal", [&] { return uint32_t(p.GetWheelPickerBorderItemColor(cxbsNormal)); },
       uint32_t(clDefault)},
      {"wheel fill hot", [&] { return uint32_t(p.GetWheelPickerFillItemColor(cxbsHot)); }, 0xF2F0EF},
      {"wheel fill pressed", [&] { return uint32_t(p.GetWheelPickerFillItemColor(cxbsPressed)); }, 0xFDEAE2},
      {"rich edit line", [&] { return uint32_t(p.RichEditControlHeaderFooterLineColor()); },
       uint32_t(clBtnShadow)},
      {"rich edit mark back", [&] { return uint32_t(p.RichEditControlHeaderFooterMarkBackColor()); },
       uint32_t(p.DefaultControlColor())},
      {"rich edit ruler active", [&] { return uint32_t(p.RichEditRulerActiveAreaColor()); },
       uint32_t(p.DefaultContentColor())},
      {"rich edit toggle border", [&] { return uint32_t(p.RichEditRulerTabTypeToggleBorderColor()); },
       uint32_t(cl3DDkShadow)},
      {"rich edit text", [&] { return uint32_t(p.RichEditRulerTextColor()); },
       uint32_t(p.DefaultControlTextColor())},
      {"token text disabled", [&] { return uint32_t(p.GetTokenTextColor(cxbsDisabled)); },
       uint32_t(clBtnShadow)},
  };
  for (const Case& c : cases) EXPECT_EQ(c.get(), c.want) << c.name;

  TdxScaleFactor big;
  big.Assign(3, 2, false);
  EXPECT_EQ(painter_.GetRangeControlScaledThumbSize(&big), (TSize{17, 29}));  // halves away from zero
  EXPECT_EQ(painter_.GetRangeControlScaledSizingGlyphSize(sf_), (TSize{5, 9}));
  EXPECT_EQ(painter_.GetRangeControlScaledScrollAreaHeight(&big), 17);
  EXPECT_EQ(painter_.BreadcrumbEditScaledDropDownButtonWidth(sf_), dxGetSystemMetrics(SM_CXHSCROLL, sf_));
  EXPECT_EQ(painter_.BreadcrumbEditScaledDropDownButtonWidth(&big), dxGetSystemMetrics(SM_CXHSCROLL, &big));
  EXPECT_EQ(painter_.BreadcrumbEditScaledButtonAreaSeparatorSize(&big), 2);
  EXPECT_EQ(painter_.BreadcrumbEditScaledProgressChunkPadding(&big), (TRect{1, 1, 1, 1}));
  EXPECT_EQ(painter_.BreadcrumbEditScaledNodeDelimiterSize(&big), 24);
  EXPECT_EQ(painter_.BreadcrumbEditBordersSize(), (TRect{1, 1, 1, 1}));
  EXPECT_FALSE(painter_.BreadcrumbEditIsFadingSupports());
  EXPECT_EQ(painter_.DropDownListBoxBordersSize(), 3);
  EXPECT_EQ(painter_.DropDownListBoxScaledItemImageOffsets(&big), (TRect{8, 5, 8, 5}));
  EXPECT_EQ(painter_.DropDownListBoxScaledItemTextOffsets(sf_), (TRect{5, 2, 5, 2}));
  EXPECT_EQ(painter_.DropDownListBoxScaledSeparatorSize(&big), 12);
  EXPECT_EQ(painter_.GetScaledTokenCloseGlyphSize(sf_), (TSize{12, 11}));
  cxIsTouchModeEnabled = true;
  EXPECT_EQ(painter_.GetScaledTokenCloseGlyphSize(sf_), (TSize{27, 27}));
  cxIsTouchModeEnabled = false;
  EXPECT_EQ(painter_.GetScaledTokenDefaultGlyphSize(&big), (TSize{18, 18}));
  EXPECT_EQ(painter_.GetRatingControlScaledIndicatorSize(sf_), (TSize{16, 16}));
  EXPECT_EQ(painter_.GetScaledFixedGroupIndicatorSize(&big), (TSize{18, 18}));
}

TEST_F(PainterControlsTest, BreadcrumbButtonsShowAFaceOnlyWhenActive) {
  for (TdxBreadcrumbEditButtonState state : {dxbcbsNormal, dxbcbsDisabled}) {
    PainterProbe probe(10, 8);
    painter_.DrawBreadcrumbEditScaledButton(probe.Canvas(), probe.Bounds(), state, false, false, sf_);
    EXPECT_EQ(Count(probe, sentinel_), 80) << int(state);
  }
  for (TdxBreadcrumbEditButtonState state : {dxbcbsFocused, dxbcbsHot, dxbcbsPressed}) {
    PainterProbe probe(10, 8);
    painter_.DrawBreadcrumbEditScaledNode(probe.Canvas(), probe.Bounds(), state, true, sf_);
    EXPECT_EQ(Count(probe, sentinel_), 0) << int(state);
  }
  // A drop-down button of its own always has a face; in the editor it is a node button.
  PainterProbe separate(10, 8), inEditor(10, 8);
  painter_.DrawBreadcrumbEditScaledDropDownButton(separate.Canvas(), separate.Bounds(), dxbcbsNormal, false,
                                                  sf_);
  painter_.DrawBreadcrumbEditScaledDropDownButton(inEditor.Canvas(), inEditor.Bounds(), dxbcbsNormal, true,
                                                  sf_);
  EXPECT_EQ(Count(separate, sentinel_), 0);
  EXPECT_EQ(Count(inEditor, sentinel_), 80);
  // The delimiter glyph is a right arrow in the node text colour.
  PainterProbe glyph(9, 9);
  painter_.DrawBreadcrumbEditScaledNodeDelimiterGlyph(glyph.Canvas(), glyph.Bounds(), dxbcbsDisabled, sf_);
  EXPECT_GT(Count(glyph, ColorPx(clBtnShadow)), 3);
  PainterProbe chunk(2, 1);
  painter_.DrawBreadcrumbEditScaledProgressChunk(chunk.Canvas(), chunk.Bounds(), sf_);
  EXPECT_TRUE(chunk.Matches({"##"}, static_cast<TColor>(0xAAA8A4)));
  PainterProbe borders(4, 3);
  painter_.DrawBreadcrumbEditBorders(borders.Canvas(), borders.Bounds(), TcxBorders{bLeft, bBottom},
                                     dxbcsNormal);
  EXPECT_TRUE(borders.Matches({"s...", "s...", "hhhh"}, {{'s', clBtnShadow}, {'h', clBtnHighlight}}));
}

TEST_F(PainterControlsTest, ListBoxBackgroundSelectionAndSeparator) {
  PainterProbe probe(6, 6);
  painter_.DrawDropDownListBoxBackground(probe.Canvas(), probe.Bounds(), true);
  EXPECT_TRUE(probe.Matches(
      {"lllllD", "lhhhsD", "lhmmsD", "lhmmsD", "lssssD", "DDDDDD"},
      {{'l', cl3DLight}, {'D', cl3DDkShadow}, {'h', clBtnHighlight}, {'s', clBtnShadow}, {'m', clMenu}}));
  PainterProbe plain(3, 2);
  painter_.DrawDropDownListBoxBackground(plain.Canvas(), plain.Bounds(), false);
  EXPECT_TRUE(plain.Matches({"###", "###"}, clMenu));
  PainterProbe separator(3, 6);
  painter_.DrawDropDownListBoxScaledSeparator(separator.Canvas(), separator.Bounds(), TRect{}, sf_);
  EXPECT_TRUE(separator.Matches({"...", "...", "sss", "hhh", "...", "..."},
                                {{'s', clBtnShadow}, {'h', clBtnHighlight}}));
}

TEST_F(PainterControlsTest, MessageBoxTokensAndWheelPicker) {
  PainterProbe message(6, 4);
  painter_.DrawMessageBox(message.Canvas(), message.Bounds(), String(), nullptr);
  EXPECT_TRUE(message.Matches({"gggggg", "gccccg", "gccccg", "gggggg"},
                              {{'g', painter_.DefaultGridLineColor()}, {'c', painter_.DefaultGroupColor()}}));

  PainterProbe normal(8, 6), hot(8, 6);
  painter_.DrawScaledTokenBackground(normal.Canvas(), normal.Bounds(), cxbsNormal, sf_);
  painter_.DrawScaledTokenBackground(hot.Canvas(), hot.Bounds(), cxbsHot, sf_);
  EXPECT_EQ(Count(normal, sentinel_), 6 * 4);
  EXPECT_EQ(Count(hot, sentinel_), 0);
  EXPECT_EQ(hot.Rgb(0, 0), ColorPx(clBtnShadow));  // the frame stays outside the button
  EXPECT_EQ(hot.Rgb(7, 5), ColorPx(clBtnShadow));
  hot.Canvas()->FillRect(hot.Bounds(), clRed);
  EXPECT_EQ(Count(hot, 0xFF0000), 48);  // the clip is back

  PainterProbe wheel(4, 3);
  painter_.DrawWheelPickerItem(wheel.Canvas(), wheel.Bounds(), cxbsPressed);
  EXPECT_TRUE(wheel.Matches({"bbbb", "bffb", "bbbb"},
                            {{'b', static_cast<TColor>(0xE7C9BC)}, {'f', static_cast<TColor>(0xFDEAE2)}}));
}

TEST_F(PainterControlsTest, RatingIndicatorPicksItsRow) {
  {
    // One row of the strip per state: unchecked, hover, checked.
    PainterProbe rows[3] = {PainterProbe(16, 16), PainterProbe(16, 16), PainterProbe(16, 16)};
    const TdxRatingControlIndicatorState states[] = {rcisUnchecked, rcisHover, rcisChecked};
    std::vector<std::vector<uint32_t>> pictures;
    for (int i = 0; i < 3; ++i) {
      painter_.DrawRatingControlScaledIndicator(rows[i].Canvas(), rows[i].Bounds(), states[i], sf_);
      std::vector<uint32_t> px;
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) px.push_back(rows[i].Rgb(x, y));
      pictures.push_back(px);
    }
    rows[2].SavePng("painter_rating_checked");
    EXPECT_NE(pictures[0], pictures[1]);
    EXPECT_NE(pictures[1], pictures[2]);
    EXPECT_NE(pictures[0], pictures[2]);
  }
  // The fixed group indicator covers its bounds with its glyph.
  PainterProbe fixed(12, 12);
  painter_.DrawScaledFixedGroupIndicator(fixed.Canvas(), fixed.Bounds(), sf_);
  EXPECT_LT(Count(fixed, sentinel_), 12 * 12);
}

TEST_F(PainterControlsTest, RangeControlThumbAndRulerHeader) {
  PainterProbe thumb(11, 19);
  painter_.DrawRangeControlScaledLeftThumb(thumb.Canvas(), thumb.Bounds(), clDefault, clBlack, sf_);
  thumb.SavePng("painter_range_thumb");
  EXPECT_EQ(thumb.Rgb(0, 9), 0u);         // the frame
  EXPECT_EQ(thumb.Rgb(1, 1), 0xFFFFFFu);  // white inside for the default colour
  // The grip: three lines 2 pixels apart in the middle.
  EXPECT_EQ(thumb.Rgb(3, 9), 0u);
  EXPECT_EQ(thumb.Rgb(5, 9), 0u);
  EXPECT_EQ(thumb.Rgb(7, 9), 0u);
  EXPECT_EQ(thumb.Rgb(4, 9), 0xFFFFFFu);

  PainterProbe hot(6, 4), normal(6, 4);
  painter_.DrawRangeControlScaledRulerHeader(hot.Canvas(), hot.Bounds(), true, TdxAlphaColorsDefault,
                                             0xFF000000, sf_);
  painter_.DrawRangeControlScaledRulerHeader(normal.Canvas(), normal.Bounds(), false, TdxAlphaColorsDefault,
                                             0xFF000000, sf_);
  EXPECT_EQ(hot.Rgb(3, 1), 0xE2EAFDu);
  EXPECT_EQ(normal.Rgb(3, 1), 0xFFFFFFu);
  EXPECT_EQ(normal.Rgb(0, 1), 0u);  // the left edge
  EXPECT_EQ(normal.Rgb(3, 3), 0u);  // the bottom edge
}

}  // namespace
}  // namespace qd::testing
