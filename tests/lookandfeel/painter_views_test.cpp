// The base painter's operations for views, charts, gauges, maps, navigation bars, PDF viewers,
// spreadsheets and print previews: constants, delegations and the few drawings of their own.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "lookandfeel/painter_draw_test_util.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/cxGraphicsColors.h"

namespace qd::testing {
namespace {

// A one-pixel control border, to see the operations that build on it follow it.
class BorderPainter : public TcxCustomLookAndFeelPainter {
 public:
  int32_t BorderSize() override { return 1; }
  void DrawBorder(TcxCanvas* ACanvas, const TRect& R) override { ACanvas->FrameRect(R, clBlue); }
};

class PainterViewsTest : public PainterDrawTest {
 protected:
  TcxCustomLookAndFeelPainter painter_;
  BorderPainter bordered_;
  TdxScaleFactor* sf_ = dxDefaultScaleFactor();
};

TEST_F(PainterViewsTest, ConstantColours) {
  struct Case {
    const char* name;
    std::function<uint32_t()> get;
    uint32_t want;
  };
  TcxCustomLookAndFeelPainter& p = painter_;
  const std::vector<Case> cases = {
      {"map background", [&] { return uint32_t(p.MapControlBackgroundColor()); }, 0x958B5F},
      {"map panel back", [&] { return p.MapControlPanelBackColor(); }, 0xC8000000},
      {"map panel hot text", [&] { return p.MapControlPanelHotTrackedTextColor(); }, 0xFFFFFFFF},
      {"map panel pressed text", [&] { return p.MapControlPanelPressedTextColor(); }, 0xFF7E8383},
      {"map panel text", [&] { return p.MapControlPanelTextColor(); }, 0xFFADDFFF},
      {"map element text", [&] { return p.MapControlMapCustomElementTextColor(); }, 0xFF000000},
      {"map element glow", [&] { return p.MapControlMapCustomElementTextGlowColor(); }, 0xFFFFFFFF},
      {"map pushpin text", [&] { return p.MapControlMapPushpinTextColor(); }, 0xFF000000},
      {"map pushpin glow", [&] { return p.MapControlMapPushpinTextGlowColor(); }, 0xFFFFFFFF},
      {"map selected region", [&] { return p.MapControlSelectedRegionBackgroundColor(); }, 0x800072AE},
      {"map selected border", [&] { return p.MapControlSelectedRegionBorderColor(); }, 0xFF3399FF},
      {"map shape", [&] { return p.MapControlShapeColor(); }, 0xFFD7D7D7},
      {"map shape border", [&] { return p.MapControlShapeBorderColor(); }, 0xFFFFFFFF},
      {"map shape highlighted", [&] { return p.MapControlShapeHighlightedColor(); }, 0xFFD7D7D7},
      {"map shape border highlighted", [&] { return p.MapControlShapeBorderHighlightedColor(); }, 0xFFFFFFFF},
      {"map shape selected", [&] { return p.MapControlShapeSelectedColor(); }, 0xFFD7D7D7},
      {"map shape border selected", [&] { return p.MapControlShapeBorderSelectedColor(); }, 0xFFFFFFFF},
      {"nav bar item hot", [&] { return uint32_t(p.OfficeNavigationBarItemTextColor(cesHot)); }, 0xC67200},
      {"nav bar item selected", [&] { return uint32_t(p.OfficeNavigationBarItemTextColor(cesSelected)); },
       0xC67200},
      {"nav bar item normal", [&] { return uint32_t(p.OfficeNavigationBarItemTextColor(cesNormal)); },
       0x565656},
      {"nav bar button pressed",
       [&] { return uint32_t(p.OfficeNavigationBarButtonItemTextColor(cesPressed)); }, 0xC67200},
      {"nav bar button disabled",
       [&] { return uint32_t(p.OfficeNavigationBarButtonItemTextColor(cesDisabled)); }, 0x565656},
      {"gauge", [&] { return uint32_t(p.GaugeControlBackgroundColor()); }, uint32_t(clWindow)},
      {"sheet content", [&] { return uint32_t(p.SpreadSheetContentColor()); }, uint32_t(clWindow)},
      {"sheet text", [&] { return uint32_t(p.SpreadSheetContentTextColor()); }, uint32_t(clWindowText)},
      {"sheet frozen pane", [&] { return uint32_t(p.SpreadSheetFrozenPaneSeparatorColor()); }, 0},
      {"sheet group line", [&] { return uint32_t(p.SpreadSheetGroupLineColor()); }, 0x808080},
      {"sheet selection", [&] { return uint32_t(p.SpreadSheetSelectionColor()); },
       uint32_t(p.DefaultSelectionColor())},
      {"pdf selection", [&] { return uint32_t(p.PDFViewerSelectionColor()); },
       uint32_t(p.DefaultSelectionColor())},
      {"pdf caption text", [&] { return uint32_t(p.PDFViewerNavigationPanePageCaptionTextColor()); },
       uint32_t(p.DefaultContentTextColor())},
      {"explorer pressed text", [&] { return uint32_t(p.WinExplorerViewGroupTextColor(cxbsPressed)); },
       uint32_t(p.DefaultSelectionTextColor())},
      {"explorer disabled text", [&] { return uint32_t(p.WinExplorerViewRecordTextColor(cxbsDisabled)); },
       uint32_t(p.DefaultInactiveTextColor())},
      {"explorer hot record", [&] { return uint32_t(p.WinExplorerViewDefaultRecordColor(cxbsHot)); },
       uint32_t(clGradientInactiveCaption)},
      {"explorer normal record", [&] { return uint32_t(p.WinExplorerViewDefaultRecordColor(cxbsNormal)); },
       uint32_t(p.DefaultContentColor())},
      {"sheet group button text",
       [&] { return uint32_t(p.SpreadSheetGroupExpandButtonTextColor(cxbsDisabled)); },
       uint32_t(clBtnShadow)},
      {"print preview text", [&] { return uint32_t(p.PrintPreviewBackgroundTextColor()); },
       uint32_t(clWindowText)},
  };
  for (const Case& c : cases) EXPECT_EQ(c.get(), c.want) << c.name;
}

TEST_F(PainterViewsTest, MetricsFollowTheScaleFactorAndTheOperationsTheyReuse) {
  TdxScaleFactor big;
  big.Assign(3, 2, false);
  EXPECT_EQ(painter_.WinExplorerViewScaledExpandButtonSize(sf_), 15);
  EXPECT_EQ(painter_.WinExplorerViewScaledExpandButtonSize(&big), painter_.ScaledGroupExpandButtonSize(&big));
  EXPECT_EQ(painter_.WinExplorerViewGroupCaptionLineHeight(), painter_.SeparatorSize());
  EXPECT_EQ(painter_.ChartToolBoxDataLevelInfoBorderSize(), 1);
  EXPECT_EQ(painter_.LayoutViewGetPadding(0), (TRect{0, 0, 0, 0}));
  EXPECT_FALSE(painter_.LayoutViewRecordCaptionTextBold());
  EXPECT_EQ(painter_.MapControlGetMapPushpinTextOrigin(&big), (TPoint{26, 26}));  // 25.5 away from zero
  EXPECT_EQ(painter_.MapControlMapCustomElementSelectionOffset(&big), (TRect{21, 21, 21, 21}));
  EXPECT_EQ(painter_.MapControlShapeBorderWidth(&big), 2);
  EXPECT_EQ(painter_.MapControlGetMapPushpinSize(sf_), (TSize{34, 44}));
  EXPECT_EQ(painter_.MapControlGetMapPushpinSize(&big), (TSize{51, 66}));
  EXPECT_EQ(painter_.OfficeNavigationBarScaledCustomizationButtonSize(sf_), (TSize{16, 16}));
  EXPECT_EQ(painter_.OfficeNavigationBarScaledItemFontSize(&big), 29);
  EXPECT_EQ(painter_.OfficeNavigationBarScaledButtonItemFontSize(sf_), 9);
  EXPECT_EQ(painter_.OfficeNavigationBarScaledButtonItemContentOffsets(sf_), (TRect{4, 4, 4, 4}));
  EXPECT_EQ(painter_.OfficeNavigationBarScaledItemContentOffsets(&big), (TRect{3, 3, 3, 3}));
  EXPECT_EQ(painter_.PDFViewerNavigationPaneButtonSize(sf_), (TSize{42, 42}));
  EXPECT_EQ(painter_.PDFViewerNavigationPanePageToolbarContentOffsets(&big), (TRect{6, 6, 6, 6}));
  // The overlay: the content offsets, the top one plus the border.
  EXPECT_EQ(painter_.PDFViewerNavigationPaneButtonOverlay(sf_), (TPoint{4, 4}));
  EXPECT_EQ(bordered_.PDFViewerNavigationPaneButtonOverlay(sf_), (TPoint{4, 5}));
  EXPECT_EQ(bordered_.PDFViewerNavigationPaneButtonRect(TRect{10, 10, 20, 20}, cxbsNormal, sf_, true),
            (TRect{6, 5, 24, 25}));
  EXPECT_EQ(bordered_.PDFViewerNavigationPaneButtonRect(TRect{10, 10, 20, 20}, cxbsHot, sf_, false),
            (TRect{10, 10, 20, 20}));
  EXPECT_EQ(painter_.SpreadSheetScaledGroupExpandButtonGlyphSize(sf_),
            painter_.NavigatorScaledButtonGlyphSize(sf_));
  EXPECT_EQ(painter_.SpreadSheetScaledGroupLevelMarkSize(&big), (TSize{3, 3}));
  EXPECT_EQ(painter_.SpreadSheetScaledGroupExpandButtonContentOffsets(sf_), (TRect{3, 3, 3, 3}));
  EXPECT_EQ(painter_.SpreadSheetFormulaBarGetScaledSeparatorSize(&big), 3);
  EXPECT_EQ(painter_.PrintPreviewPageBordersScaledWidth(&big), (TRect{2, 2, 4, 4}));
}

TEST_F(PainterViewsTest, SelectedSpreadSheetHeaderBlendsTowardTheHighlight) {
  PainterProbe normal(4, 3), selected(4, 3);
  painter_.DrawSpreadSheetScaledHeader(normal.Canvas(), normal.Bounds(), normal.Bounds(), TcxNeighbors{},
                                       cxBordersAll, cxbsNormal, taLeftJustify, vaTop, false, false, String(),
                                       nullptr, clBlack, clWhite, sf_);
  painter_.DrawSpreadSheetScaledHeader(selected.Canvas(), selected.Bounds(), selected.Bounds(),
                                       TcxNeighbors{}, cxBordersAll, cxbsPressed, taLeftJustify, vaTop, false,
                                       false, String(), nullptr, clBlack, clWhite, sf_);
  EXPECT_EQ(normal.Rgb(1, 1), 0xFFFFFFu);
  // 30 per cent white, 70 per cent highlight, per channel.
  const uint32_t h = ColorPx(clHighlight);
  const auto mix = [&](int shift) {
    return ((255 * 30 + 50) / 100 + (((h >> shift) & 0xFF) * 70 + 50) / 100) << shift;
  };
  EXPECT_EQ(selected.Rgb(1, 1), mix(16) | mix(8) | mix(0));
}

TEST_F(PainterViewsTest, RecordsAndItemsFrameTheirHotStateAndPutTheClipBack) {
  PainterProbe item(5, 4);
  painter_.LayoutViewDrawItem(item.Canvas(), item.Bounds(), cxbsHot);
  EXPECT_TRUE(item.Matches({"sssss", "sgggs", "sgggs", "sssss"},
                           {{'s', clBtnShadow}, {'g', clGradientInactiveCaption}}));
  item.Canvas()->FillRect(item.Bounds(), clRed);
  EXPECT_EQ(item.Rgb(0, 0), 0xFF0000u);

  PainterProbe record(5, 4);
  painter_.WinExplorerViewDrawRecord(record.Canvas(), record.Bounds(), cxbsPressed);
  EXPECT_TRUE(record.Matches({"sssss", "sxxxs", "sxxxs", "sssss"},
                             {{'s', clBtnShadow}, {'x', painter_.DefaultSelectionColor()}}));
  record.Canvas()->FillRect(record.Bounds(), clRed);
  EXPECT_EQ(record.Rgb(0, 0), 0xFF0000u);
  PainterProbe plain(3, 2);
  painter_.WinExplorerViewDrawGroup(plain.Canvas(), plain.Bounds(), cxbsNormal, clYellow);
  EXPECT_TRUE(plain.Matches({"###", "###"}, clYellow));

  // The layout record caption: without colour or bitmap, the state's caption colour fills the
  // bounds (over the border drawn first).
  PainterProbe caption(4, 3);
  painter_.LayoutViewDrawRecordCaption(caption.Canvas(), caption.Bounds(), caption.Bounds(), cxgpTop,
                                       cxbsNormal);
  EXPECT_EQ(caption.Rgb(1, 1), ColorPx(painter_.DefaultLayoutViewCaptionColor(cxbsNormal)));
}

TEST_F(PainterViewsTest, PanelsAndPagesDrawTheirBackgrounds) {
  // The find panel: the border, then the control colour inside it on the named sides.
  PainterProbe find(5, 4);
  bordered_.PDFViewerDrawFindPanelBackground(find.Canvas(), find.Bounds(), TcxBorders{bRight});
  EXPECT_TRUE(find.Matches({"cccc#", "cccc#", "cccc#", "cccc#"},
                           {{'#', clBlue}, {'c', bordered_.DefaultControlColor()}}));
  // A page with its shadow right and below.
  PainterProbe page(7, 6);
  painter_.DrawPrintPreviewPageScaledBackground(page.Canvas(), TRect{0, 0, 5, 4}, TRect{1, 1, 4, 3}, true,
                                                true, sf_);
  EXPECT_TRUE(page.Matches({"hhhhh..", "hwwwh..", "hwwwhss", "hhhhhss", "..sssss", "..sssss"},
                           {{'h', clHighlight}, {'w', clWindow}, {'s', clWindowText}}));
  PainterProbe thumbnail(2, 2);
  painter_.PDFViewerDrawPageThumbnailPreviewBackground(thumbnail.Canvas(), thumbnail.Bounds());
  EXPECT_TRUE(thumbnail.Matches({"##", "##"}, clBtnShadow));
  // The navigation bar's image selection by state.
  PainterProbe selection(3, 1);
  painter_.OfficeNavigationBarDrawScaledImageSelection(selection.Canvas(), TRect{0, 0, 1, 1}, cesSelected,
                                                       sf_);
  painter_.OfficeNavigationBarDrawScaledImageSelection(selection.Canvas(), TRect{1, 0, 2, 1}, cesPressed,
                                                       sf_);
  painter_.OfficeNavigationBarDrawScaledImageSelection(selection.Canvas(), TRect{2, 0, 3, 1}, cesNormal, sf_);
  EXPECT_TRUE(selection.Matches(
      {"hp."}, {{'h', static_cast<TColor>(0xF7E6CD)}, {'p', static_cast<TColor>(0xE0C092)}}));
}

TEST_F(PainterViewsTest, MapElementBackgroundIsTranslucentWhileHotOrPressed) {
  PainterProbe normal(20, 20, 0xFF000000);
  painter_.DrawMapCustomElementBackground(normal.Canvas(), normal.Bounds(), mcesNormal);
  EXPECT_EQ(normal.Rgb(10, 10), 0u);
  PainterProbe hot(20, 20, 0xFF000000), pressed(20, 20, 0xFF000000);
  painter_.DrawMapCustomElementBackground(hot.Canvas(), hot.Bounds(), mcesHot);
  painter_.DrawMapCustomElementBackground(pressed.Canvas(), pressed.Bounds(), mcesPressed);
  // White at alpha 0x5A or 0x80 over black.
  EXPECT_NEAR(static_cast<int>(hot.Rgb(10, 10) & 0xFF), 0x5A, 1);
  EXPECT_NEAR(static_cast<int>(pressed.Rgb(10, 10) & 0xFF), 0x80, 1);
  EXPECT_EQ(hot.Rgb(0, 0), 0u);  // outside the rectangle less one pixel
}

TEST_F(PainterViewsTest, NavigationBarGlyphTakesTheGivenColour) {
  PainterProbe plain(16, 16, 0xFFFFFFFF), red(16, 16, 0xFFFFFFFF);
  painter_.OfficeNavigationBarDrawScaledCustomizationButton(plain.Canvas(), plain.Bounds(), cesNormal, sf_);
  painter_.OfficeNavigationBarDrawScaledCustomizationButton(red.Canvas(), red.Bounds(), cesNormal, sf_,
                                                            0xFFFF0000);
  red.SavePng("painter_navigation_bar_glyph_red");
  int ink = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      if (plain.Rgb(x, y) == 0xFFFFFF) {
        EXPECT_EQ(red.Rgb(x, y), 0xFFFFFFu) << x << "," << y;  // transparent stays transparent
        continue;
      }
      ++ink;
      const uint32_t px = red.Rgb(x, y);
      EXPECT_EQ(px & 0xFF0000, 0xFF0000u) << x << "," << y;  // only red (over white) remains
      EXPECT_EQ((px >> 8) & 0xFF, px & 0xFF) << x << "," << y;
    }
  EXPECT_GT(ink, 5);
}

}  // namespace
}  // namespace qd::testing
