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

TEST_F(PainterControlsTest, CalculatorAlertAndCalendarColours) {
  struct Key {
    TcxCalcButtonKind kind;
    uint32_t want;
  };
  for (const Key k :
       {Key{cbBack, 0x000080}, Key{cbCancel, 0x000080}, Key{cbClear, 0x000080}, Key{cbMC, 0x0000FF},
        Key{cbMP, 0x0000FF}, Key{cbDiv, 0x0000FF}, Key{cbAdd, 0x0000FF}, Key{cbEqual, 0x0000FF},
        Key{cbNum0, 0xFF0000}, Key{cbNum9, 0xFF0000}, Key{cbSign, 0xFF0000}, Key{cbDecimal, 0xFF0000},
        Key{cbNone, 0xFF0000}, Key{cbSqrt, 0x800000}, Key{cbPercent, 0x800000}, Key{cbRev, 0x800000}})
    EXPECT_EQ(uint32_t(painter_.CalcEditButtonTextColor(k.kind)), k.want) << int(k.kind);

  TdxScaleFactor big;
  big.Assign(3, 2, false);
  EXPECT_EQ(painter_.AlertWindowScaledButtonGlyphSize(awbkCustom, &big), (TSize{0, 0}));
  for (TdxAlertWindowButtonKind kind : {awbkClose, awbkPin, awbkDropdown, awbkPrevious, awbkNext})
    EXPECT_EQ(painter_.AlertWindowScaledButtonGlyphSize(kind, &big), (TSize{15, 15})) << int(kind);
  EXPECT_EQ(painter_.AlertWindowScaledContentOffsets(sf_), (TRect{4, 4, 4, 4}));
  EXPECT_EQ(painter_.AlertWindowNavigationPanelTextColor(), clBtnText);
  EXPECT_EQ(painter_.GetGalleryScaledGroupHeaderContentOffsets(&big), (TRect{11, 3, 11, 3}));
  EXPECT_EQ(painter_.GetGalleryGroupHeaderContentOffsets(), (TRect{7, 2, 7, 2}));

  EXPECT_EQ(painter_.GetModernCalendarCellTextColor(TcxCalendarElementStates{cesDisabled, cesSelected}),
            clGrayText);
  EXPECT_EQ(painter_.GetModernCalendarCellTextColor(TcxCalendarElementStates{cesSelected}), clHotLight);
  EXPECT_EQ(painter_.GetModernCalendarCellTextColor(TcxCalendarElementStates{cesSelected, cesHot}),
            clBtnText);
  EXPECT_EQ(painter_.GetModernCalendarDateHeaderTextColor(TcxCalendarElementStates{cesSelected}), clHotLight);
  EXPECT_EQ(painter_.GetModernCalendarDateHeaderTextColor(TcxCalendarElementStates{cesSelected, cesHot}),
            painter_.DefaultDateNavigatorHeaderTextColor(false));
  PainterProbe header(2, 2);
  painter_.DrawModernCalendarHeaderSelection(header.Canvas(), header.Bounds(),
                                             TcxCalendarElementStates{cesSelected});
  EXPECT_TRUE(header.Canvas()->Font()->Style().Contains(fsBold));
  EXPECT_EQ(Count(header, sentinel_), 4);
}

TEST_F(PainterControlsTest, CalendarCellsGalleryItemsAndAlertButtons) {
  PainterProbe cell(4, 3);
  painter_.DrawModernCalendarDateCellSelection(cell.Canvas(), cell.Bounds(),
                                               TcxCalendarElementStates{cesSelected, cesHot});
  EXPECT_TRUE(cell.Matches({"ffff", "fiif", "ffff"},
                           {{'f', static_cast<TColor>(0xE8A766)}, {'i', static_cast<TColor>(0xFFE8D1)}}));
  PainterProbe today(4, 3);
  painter_.DrawModernCalendarDateCellSelection(today.Canvas(), today.Bounds(),
                                               TcxCalendarElementStates{cesMarked});
  EXPECT_TRUE(today.Matches({"####", "#..#", "####"}, clHotLight));
  PainterProbe plainCell(4, 3);
  painter_.DrawCalendarDateCellSelection(plainCell.Canvas(), plainCell.Bounds(),
                                         TcxCalendarElementStates{cesSelected});
  EXPECT_EQ(Count(plainCell, sentinel_), 12);

  PainterProbe color(4, 4);
  TdxGalleryItemViewState checked;
  checked.Checked = true;
  checked.Hover = true;
  painter_.DrawColorGalleryItemSelection(color.Canvas(), color.Bounds(), checked);
  EXPECT_TRUE(color.Matches({"oooo", "oiio", "oiio", "oooo"},
                            {{'o', static_cast<TColor>(0x1048EF)}, {'i', static_cast<TColor>(0x94E2FF)}}));
  PainterProbe idle(4, 4);
  painter_.DrawColorGalleryItemSelection(idle.Canvas(), idle.Bounds(), TdxGalleryItemViewState{});
  EXPECT_EQ(Count(idle, sentinel_), 16);

  for (TdxAlertWindowButtonKind kind : {awbkClose, awbkPin, awbkDropdown, awbkNext}) {
    PainterProbe button(18, 18);
    painter_.DrawAlertWindowScaledButton(button.Canvas(), button.Bounds(), cxbsNormal, kind, sf_);
    if (kind == awbkPin) button.SavePng("painter_alert_pin");
    EXPECT_GT(Count(button, ColorPx(clBtnText)), 4) << int(kind);
  }
  PainterProbe custom(18, 18);
  painter_.DrawAlertWindowScaledButton(custom.Canvas(), custom.Bounds(), cxbsNormal, awbkCustom, sf_);
  EXPECT_EQ(Count(custom, ColorPx(clBtnText)), 0);
}

TEST_F(PainterControlsTest, ModernClockComposesFaceHandsAndGlass) {
  PainterProbe probe(130, 130);
  painter_.DrawModernCalendarClock(probe.Canvas(), probe.Bounds(), 0.25, clWhite, sf_);  // 06:00
  probe.SavePng("painter_modern_clock", 2);
  EXPECT_EQ(Count(probe, sentinel_), 0);
  // The hour hand points down from the centre, the minute hand up.
  int darkBelow = 0, darkAbove = 0;
  for (int y = 70; y < 100; ++y) darkBelow += (probe.Rgb(65, y) & 0xFF) < 0x80;
  for (int y = 30; y < 60; ++y) darkAbove += (probe.Rgb(65, y) & 0xFF) < 0x80;
  EXPECT_GT(darkBelow, 10);
  EXPECT_GT(darkAbove, 10);
}

}  // namespace
}  // namespace qd::testing
