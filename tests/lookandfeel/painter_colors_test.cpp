// The base painter's default colours as one table, and the derived colours following the
// operations they are defined by when a painter overrides those.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "lookandfeel/painter_test_util.h"
#include "platform/forms/graphics.h"
#include "ui/graphics/dxOffice11.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd::testing {
namespace {

using P = TcxCustomLookAndFeelPainter;

struct ColorCase {
  const char* name;
  std::function<TColor(P&)> get;
  TColor expected;
};

class PainterColorsTest : public PainterTest {
 protected:
  void SetUp() override {
    PainterTest::SetUp();
    CreateOffice11Colors();
  }
  void TearDown() override {
    ReleaseOffice11Colors();
    PainterTest::TearDown();
  }
};

TEST_F(PainterColorsTest, BaseTable) {
  P p;
  const std::vector<ColorCase> cases = {
      // The platform reports Windows 10, so the highlighted header text is the hot-light colour.
      {"DateNavigatorHeaderHighlightText",
       [](P& x) { return x.DefaultDateNavigatorHeaderHighlightTextColor(); }, clHotLight},
      {"Content", [](P& x) { return x.DefaultContentColor(); }, clWindow},
      {"ContentEven", [](P& x) { return x.DefaultContentEvenColor(); }, clWindow},
      {"ContentOdd", [](P& x) { return x.DefaultContentOddColor(); }, clWindow},
      {"ContentText", [](P& x) { return x.DefaultContentTextColor(); }, clWindowText},
      {"Control", [](P& x) { return x.DefaultControlColor(); }, clBtnFace},
      {"ControlText", [](P& x) { return x.DefaultControlTextColor(); }, clBtnText},
      {"EditorBackground(disabled)", [](P& x) { return x.DefaultEditorBackgroundColor(true); }, clDefault},
      {"EditorBackground(enabled)", [](P& x) { return x.DefaultEditorBackgroundColor(false); }, clDefault},
      {"EditorBackgroundEx(readonly)", [](P& x) { return x.DefaultEditorBackgroundColorEx(esckReadOnly); },
       clDefault},
      {"EditorText(disabled)", [](P& x) { return x.DefaultEditorTextColor(true); }, clDefault},
      {"EditorTextEx(inactive)", [](P& x) { return x.DefaultEditorTextColorEx(esckInactive); }, clDefault},
      {"FilterBox", [](P& x) { return x.DefaultFilterBoxColor(); }, clBtnShadow},
      {"FilterBoxText", [](P& x) { return x.DefaultFilterBoxTextColor(); }, clBtnHighlight},
      {"FixedSeparator", [](P& x) { return x.DefaultFixedSeparatorColor(); }, clBtnText},
      {"Footer", [](P& x) { return x.DefaultFooterColor(); }, clBtnFace},
      {"FooterText", [](P& x) { return x.DefaultFooterTextColor(); }, clBtnText},
      {"GridDetailsSite", [](P& x) { return x.DefaultGridDetailsSiteColor(); }, clBtnFace},
      {"GridLine", [](P& x) { return x.DefaultGridLineColor(); }, clBtnShadow},
      {"GroupByBox", [](P& x) { return x.DefaultGroupByBoxColor(); }, clBtnShadow},
      {"GroupByBoxText", [](P& x) { return x.DefaultGroupByBoxTextColor(); }, clBtnFace},
      {"Group", [](P& x) { return x.DefaultGroupColor(); }, clBtnFace},
      {"GroupText", [](P& x) { return x.DefaultGroupTextColor(); }, clBtnText},
      {"HeaderBackground", [](P& x) { return x.DefaultHeaderBackgroundColor(); }, clBtnShadow},
      {"HeaderBackgroundText", [](P& x) { return x.DefaultHeaderBackgroundTextColor(); }, clBtnFace},
      {"Header", [](P& x) { return x.DefaultHeaderColor(); }, clBtnFace},
      {"HeaderText", [](P& x) { return x.DefaultHeaderTextColor(); }, clBtnText},
      {"HyperlinkText", [](P& x) { return x.DefaultHyperlinkTextColor(); }, clBlue},
      {"Inactive", [](P& x) { return x.DefaultInactiveColor(); }, clBtnFace},
      {"InactiveText", [](P& x) { return x.DefaultInactiveTextColor(); }, clBtnText},
      {"PreviewText", [](P& x) { return x.DefaultPreviewTextColor(); }, clBlue},
      {"RecordSeparator", [](P& x) { return x.DefaultRecordSeparatorColor(); }, clBtnShadow},
      {"SizeGripArea", [](P& x) { return x.DefaultSizeGripAreaColor(); }, clBtnFace},
      {"TreeListGridLine", [](P& x) { return x.DefaultTreeListGridLineColor(); }, clBtnShadow},
      {"TreeListTreeLine", [](P& x) { return x.DefaultTreeListTreeLineColor(); }, clBtnShadow},
      {"VGridBandLine", [](P& x) { return x.DefaultVGridBandLineColor(); }, clBlack},
      {"VGridCategory", [](P& x) { return x.DefaultVGridCategoryColor(); }, clBtnFace},
      {"VGridCategoryText", [](P& x) { return x.DefaultVGridCategoryTextColor(); }, clDefault},
      {"VGridContent", [](P& x) { return x.DefaultVGridContentColor(); }, clWindow},
      {"VGridContentEven", [](P& x) { return x.DefaultVGridContentEvenColor(); }, clWindow},
      {"VGridContentOdd", [](P& x) { return x.DefaultVGridContentOddColor(); }, clWindow},
      {"VGridContentText", [](P& x) { return x.DefaultVGridContentTextColor(); }, clWindowText},
      {"VGridHeader", [](P& x) { return x.DefaultVGridHeaderColor(); }, clBtnFace},
      {"VGridHeaderText", [](P& x) { return x.DefaultVGridHeaderTextColor(); }, clBtnText},
      {"VGridLine", [](P& x) { return x.DefaultVGridLineColor(); }, clBlack},
      {"DateNavigatorContent", [](P& x) { return x.DefaultDateNavigatorContentColor(); }, clWindow},
      {"DateNavigatorHeader", [](P& x) { return x.DefaultDateNavigatorHeaderColor(); }, clBtnFace},
      {"DateNavigatorHeaderText(highlight)", [](P& x) { return x.DefaultDateNavigatorHeaderTextColor(true); },
       clHotLight},
      {"DateNavigatorHeaderText", [](P& x) { return x.DefaultDateNavigatorHeaderTextColor(false); },
       clBtnText},
      {"DateNavigatorHolydayText", [](P& x) { return x.DefaultDateNavigatorHolydayTextColor(); }, clRed},
      {"DateNavigatorInactiveText", [](P& x) { return x.DefaultDateNavigatorInactiveTextColor(); },
       clGrayText},
      {"DateNavigatorSelection", [](P& x) { return x.DefaultDateNavigatorSelectionColor(); }, clHighlight},
      {"DateNavigatorSelectionText", [](P& x) { return x.DefaultDateNavigatorSelectionTextColor(); },
       clHighlightText},
      {"DateNavigatorSeparator1", [](P& x) { return x.DefaultDateNavigatorSeparator1Color(); }, clBtnShadow},
      {"DateNavigatorSeparator2", [](P& x) { return x.DefaultDateNavigatorSeparator2Color(); }, clWindow},
      {"DateNavigatorText", [](P& x) { return x.DefaultDateNavigatorTextColor(); }, clWindowText},
      {"DateNavigatorTodayFrame", [](P& x) { return x.DefaultDateNavigatorTodayFrameColor(); }, clMaroon},
      {"DateNavigatorTodayText(selected)", [](P& x) { return x.DefaultDateNavigatorTodayTextColor(true); },
       clDefault},
      {"DateNavigatorTodayText", [](P& x) { return x.DefaultDateNavigatorTodayTextColor(false); }, clNavy},
      {"SchedulerBackground", [](P& x) { return x.DefaultSchedulerBackgroundColor(); }, clWindow},
      {"SchedulerBorder", [](P& x) { return x.DefaultSchedulerBorderColor(); }, TColor(0x9D9DA1)},
      {"SchedulerContent(7)", [](P& x) { return x.DefaultSchedulerContentColor(7); }, clDefault},
      {"SchedulerControl", [](P& x) { return x.DefaultSchedulerControlColor(); }, clBtnFace},
      {"SchedulerDayHeader", [](P& x) { return x.DefaultSchedulerDayHeaderColor(); }, TColor(0xF0F0F0)},
      {"SchedulerDayHeaderBorder", [](P& x) { return x.DefaultSchedulerDayHeaderBorderColor(); },
       TColor(0xE1E1E1)},
      {"SchedulerDayHeaderText", [](P& x) { return x.DefaultSchedulerDayHeaderTextColor(); },
       TColor(0x444444)},
      {"SchedulerDateNavigatorArrow(highlight)",
       [](P& x) { return x.DefaultSchedulerDateNavigatorArrowColor(true); }, clHotLight},
      {"SchedulerDateNavigatorArrow", [](P& x) { return x.DefaultSchedulerDateNavigatorArrowColor(false); },
       TColor(0x5F5F5F)},
      {"SchedulerHeaderContainerBackground(selected)",
       [](P& x) { return x.DefaultSchedulerHeaderContainerBackgroundColor(true); }, clHighlight},
      {"SchedulerHeaderContainerBackground",
       [](P& x) { return x.DefaultSchedulerHeaderContainerBackgroundColor(false); }, clWhite},
      {"SchedulerHeaderContainerText(selected)",
       [](P& x) { return x.DefaultSchedulerHeaderContainerTextColor(true); }, clHighlightText},
      {"SchedulerHeaderContainerText", [](P& x) { return x.DefaultSchedulerHeaderContainerTextColor(false); },
       TColor(0x444444)},
      {"SchedulerHeaderContainerBorder", [](P& x) { return x.DefaultSchedulerHeaderContainerBorderColor(); },
       TColor(0xE1E1E1)},
      {"SchedulerEvent(all day)", [](P& x) { return x.DefaultSchedulerEventColor(true); }, TColor(0xD7D7D7)},
      {"SchedulerEvent", [](P& x) { return x.DefaultSchedulerEventColor(false); }, TColor(0xD7D7D7)},
      {"SchedulerEventClassic(all day)", [](P& x) { return x.DefaultSchedulerEventColorClassic(true); },
       clWhite},
      {"SchedulerEventClassic", [](P& x) { return x.DefaultSchedulerEventColorClassic(false); }, clWindow},
      {"SchedulerNavigator", [](P& x) { return x.DefaultSchedulerNavigatorColor(); }, clBtnFace},
      {"SchedulerSelectedEventBorder", [](P& x) { return x.DefaultSchedulerSelectedEventBorderColor(); },
       clBlack},
      {"SchedulerText", [](P& x) { return x.DefaultSchedulerTextColor(); }, clWindowText},
      {"SchedulerTimeRulerBorder", [](P& x) { return x.DefaultSchedulerTimeRulerBorderColor(); },
       TColor(0xE1E1E1)},
      {"SchedulerTimeRulerBorderClassic",
       [](P& x) { return x.DefaultSchedulerTimeRulerBorderColorClassic(); }, clBtnShadow},
      {"SchedulerTimeRuler", [](P& x) { return x.DefaultSchedulerTimeRulerColor(); }, clWhite},
      {"SchedulerTimeRulerClassic", [](P& x) { return x.DefaultSchedulerTimeRulerColorClassic(); },
       clBtnFace},
      {"SchedulerTimeRulerText", [](P& x) { return x.DefaultSchedulerTimeRulerTextColor(); },
       TColor(0x666666)},
      {"SchedulerTimeRulerTextClassic", [](P& x) { return x.DefaultSchedulerTimeRulerTextColorClassic(); },
       clBtnText},
      {"SchedulerViewContent", [](P& x) { return x.DefaultSchedulerViewContentColor(); }, clWhite},
      {"SchedulerViewContentClassic", [](P& x) { return x.DefaultSchedulerViewContentColorClassic(); },
       TColor(0xD5FFFF)},
      {"SchedulerViewSelectedText", [](P& x) { return x.DefaultSchedulerViewSelectedTextColor(); },
       clHighlightText},
      {"SchedulerViewText", [](P& x) { return x.DefaultSchedulerViewTextColor(); }, clWindowText},
      {"SchedulerYearViewUnusedContent",
       [](P& x) { return x.DefaultSchedulerYearViewUnusedContentColor(true); }, clDefault},
      {"Selection", [](P& x) { return x.DefaultSelectionColor(); }, clHighlight},
      {"SelectionText", [](P& x) { return x.DefaultSelectionTextColor(); }, clHighlightText},
      {"Separator", [](P& x) { return x.DefaultSeparatorColor(); }, clBtnFace},
      {"Tab", [](P& x) { return x.DefaultTabColor(); }, clBtnFace},
      {"TabText", [](P& x) { return x.DefaultTabTextColor(); }, clBtnText},
      {"TabsBackground", [](P& x) { return x.DefaultTabsBackgroundColor(); }, clWindow},
      {"RootTabsBackground", [](P& x) { return x.DefaultRootTabsBackgroundColor(); }, clBtnFace},
      {"TimeGridMajorScale", [](P& x) { return x.DefaultTimeGridMajorScaleColor(); }, clWhite},
      {"TimeGridMajorScaleText", [](P& x) { return x.DefaultTimeGridMajorScaleTextColor(); }, clBlack},
      {"TimeGridMinorScale", [](P& x) { return x.DefaultTimeGridMinorScaleColor(); }, clBtnFace},
      {"TimeGridMinorScaleText", [](P& x) { return x.DefaultTimeGridMinorScaleTextColor(); }, clBtnText},
      {"TimeGridSelectionBar", [](P& x) { return x.DefaultTimeGridSelectionBarColor(); }, clWhite},
      {"ChartDiagramValueBorder", [](P& x) { return x.DefaultChartDiagramValueBorderColor(); }, clBlack},
      {"ChartDiagramValueCaptionText", [](P& x) { return x.DefaultChartDiagramValueCaptionTextColor(); },
       clBlack},
      {"ChartHistogramAxis", [](P& x) { return x.DefaultChartHistogramAxisColor(); }, clBlack},
      {"ChartHistogramGridLine", [](P& x) { return x.DefaultChartHistogramGridLineColor(); },
       TColor(0xCFCFCF)},
      {"ChartHistogramPlot", [](P& x) { return x.DefaultChartHistogramPlotColor(); }, clWhite},
      {"ChartPieDiagramSeriesSiteBorder",
       [](P& x) { return x.DefaultChartPieDiagramSeriesSiteBorderColor(); }, clBtnShadow},
      {"ChartPieDiagramSeriesSiteCaption",
       [](P& x) { return x.DefaultChartPieDiagramSeriesSiteCaptionColor(); }, TColor(0xF0CAA6)},
      {"ChartPieDiagramSeriesSiteCaptionText",
       [](P& x) { return x.DefaultChartPieDiagramSeriesSiteCaptionTextColor(); }, clNavy},
      {"ChartToolBoxDataLevelInfoBorder",
       [](P& x) { return x.DefaultChartToolBoxDataLevelInfoBorderColor(); }, clBtnShadow},
      {"ChartToolBoxItemSeparator", [](P& x) { return x.DefaultChartToolBoxItemSeparatorColor(); },
       clBtnShadow},
      {"LayoutViewCaption(normal)", [](P& x) { return x.DefaultLayoutViewCaptionColor(cxbsNormal); },
       clBtnFace},
      {"LayoutViewCaption(hot)", [](P& x) { return x.DefaultLayoutViewCaptionColor(cxbsHot); }, clHighlight},
      {"LayoutViewCaption(pressed)", [](P& x) { return x.DefaultLayoutViewCaptionColor(cxbsPressed); },
       clBtnFace},
      {"LayoutViewCaption(disabled)", [](P& x) { return x.DefaultLayoutViewCaptionColor(cxbsDisabled); },
       clInactiveCaption},
      {"LayoutViewCaptionText(left, pressed)",
       [](P& x) { return x.DefaultLayoutViewCaptionTextColor(cxgpLeft, cxbsPressed); }, clHighlightText},
      {"LayoutViewContent", [](P& x) { return x.DefaultLayoutViewContentColor(); }, clWindow},
      // Only the pressed state takes the selection text colour; hot keeps the content text.
      {"LayoutViewContentText(hot)", [](P& x) { return x.DefaultLayoutViewContentTextColor(cxbsHot); },
       clWindowText},
      {"LayoutViewContentText(pressed)",
       [](P& x) { return x.DefaultLayoutViewContentTextColor(cxbsPressed); }, clHighlightText},
      {"LayoutViewContentText(disabled)",
       [](P& x) { return x.DefaultLayoutViewContentTextColor(cxbsDisabled); }, clInactiveCaptionText},
      {"GridOptionsTreeViewCategory(selected)",
       [](P& x) { return x.DefaultGridOptionsTreeViewCategoryColor(true); }, clHighlight},
      {"GridOptionsTreeViewCategory", [](P& x) { return x.DefaultGridOptionsTreeViewCategoryColor(false); },
       clBtnShadow},
      {"GridOptionsTreeViewCategoryText(selected)",
       [](P& x) { return x.DefaultGridOptionsTreeViewCategoryTextColor(true); }, clHighlightText},
      {"GridOptionsTreeViewCategoryText",
       [](P& x) { return x.DefaultGridOptionsTreeViewCategoryTextColor(false); }, clBtnText},
      // Follows the Office 11 table, which the system colours drive.
      {"SchedulerHeaderContainerAlternateBackground",
       [](P& x) { return x.DefaultSchedulerHeaderContainerAlternateBackgroundColor(); },
       dxOffice11SelectedDownColor1},
  };
  for (const ColorCase& c : cases) EXPECT_EQ(c.get(p), c.expected) << c.name;
  EXPECT_EQ(p.DefaultGroupContentOffsets(), TRect{});
  EXPECT_FALSE(p.GridLikeControlDefaultUseOddEvenStyle());
}

// A painter that overrides only the basic colours.
class TBasicColorsPainter : public TcxCustomLookAndFeelPainter {
 public:
  TColor DefaultContentColor() override { return TColor(0x010203); }
  TColor DefaultContentOddColor() override { return TColor(0x040506); }
  TColor DefaultGridLineColor() override { return TColor(0x070809); }
  TColor DefaultHeaderColor() override { return TColor(0x0A0B0C); }
  TColor DefaultSelectionColor() override { return TColor(0x0D0E0F); }
  TColor DefaultEditorBackgroundColorEx(TcxEditStateColorKind AKind) override {
    Kinds.push_back(AKind);
    return AKind == esckNormal ? TColor(0x112233) : clDefault;
  }
  std::vector<TcxEditStateColorKind> Kinds;
};

TEST_F(PainterColorsTest, DerivedColorsFollowOverriddenOnes) {
  TBasicColorsPainter p;
  const std::vector<ColorCase> cases = {
      {"ContentEven", [](P& x) { return x.DefaultContentEvenColor(); }, TColor(0x010203)},
      {"LayoutViewContent", [](P& x) { return x.DefaultLayoutViewContentColor(); }, TColor(0x010203)},
      {"VGridContent", [](P& x) { return x.DefaultVGridContentColor(); }, TColor(0x010203)},
      {"VGridContentOdd", [](P& x) { return x.DefaultVGridContentOddColor(); }, TColor(0x040506)},
      {"RecordSeparator", [](P& x) { return x.DefaultRecordSeparatorColor(); }, TColor(0x070809)},
      {"TreeListTreeLine", [](P& x) { return x.DefaultTreeListTreeLineColor(); }, TColor(0x070809)},
      {"VGridCategory", [](P& x) { return x.DefaultVGridCategoryColor(); }, TColor(0x0A0B0C)},
      {"SchedulerTimeRulerClassic", [](P& x) { return x.DefaultSchedulerTimeRulerColorClassic(); },
       TColor(0x0A0B0C)},
      {"SchedulerHeaderContainerBackground(selected)",
       [](P& x) { return x.DefaultSchedulerHeaderContainerBackgroundColor(true); }, TColor(0x0D0E0F)},
      {"LayoutViewCaption(hot)", [](P& x) { return x.DefaultLayoutViewCaptionColor(cxbsHot); },
       TColor(0x0D0E0F)},
      // The date navigator prefers the editor background when the painter has one.
      {"DateNavigatorContent", [](P& x) { return x.DefaultDateNavigatorContentColor(); }, TColor(0x112233)},
  };
  for (const ColorCase& c : cases) EXPECT_EQ(c.get(p), c.expected) << c.name;
  // The odd colour now differs from the others.
  EXPECT_TRUE(p.GridLikeControlDefaultUseOddEvenStyle());

  // The enabled flag selects the state kind.
  p.Kinds.clear();
  EXPECT_EQ(p.DefaultEditorBackgroundColor(true), clDefault);
  EXPECT_EQ(p.DefaultEditorBackgroundColor(false), TColor(0x112233));
  EXPECT_EQ(p.Kinds, (std::vector<TcxEditStateColorKind>{esckDisabled, esckNormal}));
}

}  // namespace
}  // namespace qd::testing
