// The base painter's cell content, headers, sorting marks, footers, filter panels and row
// indicator.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "lookandfeel/painter_draw_test_util.h"
#include "platform/base/exceptions.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/dxOffice11.h"
#include "ui/graphics/svg/dxSVGCore.h"
#include "ui/graphics/svg/dxSVGImage.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersBitmaps.h"

namespace qd::testing {
namespace {

// One-pixel header and footer-cell borders, header borders and sorting-mark sizes a test sets.
class BorderedHeaderPainter : public TcxCustomLookAndFeelPainter {
 public:
  int32_t HeaderBorderSize() override { return 1; }
  int32_t FooterCellBorderSize() override { return 1; }
  TcxBorders HeaderBorders(const TcxNeighbors&) override { return headerBorders; }
  TPoint ScaledSortingMarkSize(TdxScaleFactor* AScaleFactor) override {
    return TPoint{AScaleFactor->Apply(markSize.X), AScaleFactor->Apply(markSize.Y)};
  }
  TPoint ScaledSummarySortingMarkSize(TdxScaleFactor* AScaleFactor) override {
    return TPoint{AScaleFactor->Apply(summaryMarkSize.X), AScaleFactor->Apply(summaryMarkSize.Y)};
  }

  TcxBorders headerBorders = cxBordersAll;
  TPoint markSize{7, 8};
  TPoint summaryMarkSize{7, 10};
};

class PainterHeadersTest : public PainterDrawTest {
 protected:
  // A background event that paints nothing and answers AAnswer, counting its calls.
  TcxDrawBackgroundEvent Background(bool AAnswer) {
    answer_ = AAnswer;
    return TcxDrawBackgroundEvent(this, &PainterHeadersTest::OnBackground);
  }
  bool OnBackground(TcxCanvas*, const TRect& ABounds) {
    background_bounds_ = ABounds;
    ++background_calls_;
    return answer_;
  }
  static int Count(PainterProbe& AProbe, uint32_t ARgb) {
    int n = 0;
    for (int y = 0; y < AProbe.Bitmap().H(); ++y)
      for (int x = 0; x < AProbe.Bitmap().W(); ++x) n += AProbe.Rgb(x, y) == ARgb;
    return n;
  }

  void SetUp() override {
    PainterDrawTest::SetUp();
    font_ = std::make_unique<TFont>();
    font_->SetSize(12);
    font_->SetStyle(TFontStyles{fsBold});
  }
  void TearDown() override {
    font_.reset();
    PainterDrawTest::TearDown();
  }

  TcxCustomLookAndFeelPainter painter_;
  BorderedHeaderPainter bordered_;
  std::unique_ptr<TFont> font_;
  TdxScaleFactor* sf_ = dxDefaultScaleFactor();
  bool answer_ = false;
  int background_calls_ = 0;
  TRect background_bounds_{};
};

TEST_F(PainterHeadersTest, HeaderMetricsFollowBordersAndOffsets) {
  TdxScaleFactor big;
  big.Assign(3, 2, false);
  EXPECT_EQ(painter_.ScaledHeaderHeight(13, sf_), 17);
  EXPECT_EQ(bordered_.ScaledHeaderHeight(13, sf_), 19);
  EXPECT_EQ(painter_.ScaledHeaderHeight(13, &big), 19);  // offsets of 3
  EXPECT_EQ(painter_.HeaderHeight(13), 17);
  cxIsTouchModeEnabled = true;
  EXPECT_EQ(painter_.ScaledHeaderHeight(13, sf_), 27);
  EXPECT_EQ(painter_.ScaledHeaderHeight(40, sf_), 44);
  cxIsTouchModeEnabled = false;

  PainterProbe probe(4, 4);
  const int32_t text = probe.Canvas()->TextWidth(u"Caption");
  ASSERT_GT(text, 0);
  EXPECT_EQ(painter_.ScaledHeaderWidth(probe.Canvas(), cxBordersAll, u"Caption", nullptr, sf_), text + 4);
  EXPECT_EQ(bordered_.ScaledHeaderWidth(probe.Canvas(), cxBordersAll, u"Caption", nullptr, sf_), text + 6);
  EXPECT_EQ(bordered_.ScaledHeaderWidth(probe.Canvas(), TcxBorders{bTop, bBottom}, u"Caption", nullptr, sf_),
            text + 4);

  const TRect bounds{10, 10, 50, 30};
  EXPECT_EQ(painter_.HeaderBounds(bounds, TcxNeighbors{nLeft}), bounds);
  // Sides the painter does not draw itself grow outward by the border size.
  bordered_.headerBorders = TcxBorders{bTop, bBottom};
  EXPECT_EQ(bordered_.HeaderBounds(bounds, TcxNeighbors{}), (TRect{9, 10, 51, 30}));
  EXPECT_EQ(bordered_.HeaderBounds(bounds, TcxNeighbors{}, TcxBorders{bLeft, bTop}), (TRect{9, 10, 50, 30}));
  EXPECT_EQ(bordered_.ScaledHeaderContentBounds(bounds, TcxBorders{bLeft, bTop}, sf_),
            (TRect{11, 11, 50, 30}));
  EXPECT_EQ(painter_.ScaledHeaderContentBounds(bounds, cxBordersAll, sf_), bounds);

  EXPECT_EQ(painter_.HeaderControlSectionContentBounds(bounds, cxbsNormal), (TRect{11, 11, 49, 29}));
  EXPECT_EQ(painter_.HeaderControlSectionTextAreaBounds(bounds, cxbsPressed), (TRect{11, 11, 51, 31}));
  EXPECT_EQ(painter_.HeaderControlSectionTextAreaBounds(bounds, cxbsHot), bounds);
  EXPECT_TRUE(painter_.HeaderBorders(TcxNeighbors{nLeft, nRight}) == cxBordersAll);
  EXPECT_TRUE(painter_.HeaderDrawCellsFirst());
  EXPECT_FALSE(painter_.IsHeaderHotTrack());
}

TEST_F(PainterHeadersTest, FooterMetricsAndConstants) {
  EXPECT_EQ(painter_.FooterCellTextAreaBounds(TRect{0, 0, 100, 20}), (TRect{2, 2, 98, 18}));
  EXPECT_EQ(bordered_.FooterCellContentBounds(TRect{0, 0, 100, 20}), (TRect{1, 1, 99, 19}));
  EXPECT_EQ(bordered_.FooterCellTextAreaBounds(TRect{0, 0, 100, 20}), (TRect{3, 3, 97, 17}));
  EXPECT_EQ(painter_.FooterSeparatorColor(), clBtnShadow);
  EXPECT_EQ(painter_.FooterSeparatorSize(), 1);
  EXPECT_TRUE(painter_.FooterBorders() == cxBordersAll);
  EXPECT_EQ(painter_.GridGroupRowStyleOffice11ContentColor(true), clWindow);
  EXPECT_EQ(painter_.GridGroupRowStyleOffice11ContentColor(false), dxOffice11GroupIndentColor);
  EXPECT_EQ(painter_.PivotGridHeadersAreaColor(), painter_.DefaultHeaderBackgroundColor());
  EXPECT_EQ(painter_.ScaledFilterCloseButtonSize(sf_), (TPoint{16, 14}));
  EXPECT_EQ(painter_.ScaledFilterActivateButtonSize(sf_), (TPoint{13, 13}));
  EXPECT_EQ(painter_.ScaledFilterSmartTagSize(sf_), (TSize{10, 10}));
  EXPECT_EQ(painter_.ScaledFilterDropDownButtonSize(sf_), (TPoint{15, 0}));
  cxIsTouchModeEnabled = true;
  EXPECT_EQ(painter_.ScaledFilterDropDownButtonSize(sf_), (TPoint{27, 0}));
  cxIsTouchModeEnabled = false;
}

TEST_F(PainterHeadersTest, SortingMarkSizesNeedAPainterThatGivesThem) {
  EXPECT_THROW(painter_.SortingMarkSize(), EAbstractError);
  EXPECT_THROW(painter_.ScaledSortingMarkAreaSize(sf_), EAbstractError);
  EXPECT_EQ(bordered_.ScaledSortingMarkAreaSize(sf_), (TPoint{16, 8}));
  cxIsTouchModeEnabled = true;
  EXPECT_EQ(bordered_.ScaledSortingMarkAreaSize(sf_), (TPoint{20, 8}));
  cxIsTouchModeEnabled = false;
  // The summary-value mark is the indicator images' size.
  EXPECT_EQ(painter_.ScaledSummaryValueSortingMarkSize(sf_), (TPoint{11, 11}));
}

TEST_F(PainterHeadersTest, FilterSmartTagColours) {
  struct Case {
    TcxFilterSmartTagState state;
    bool active;
    uint32_t want;
  };
  const Case cases[] = {{fstsHot, false, 0x04848484},    {fstsHot, true, 0x04848484},
                        {fstsPressed, true, 0x303030},   {fstsNormal, true, 0xFF2600},
                        {fstsParentHot, true, 0xFF2600}, {fstsNormal, false, 0x606060},
                        {fstsParentHot, false, 0x606060}};
  for (const Case& c : cases)
    EXPECT_EQ(static_cast<uint32_t>(painter_.GetFilterSmartTagColor(c.state, c.active)), c.want)
        << int(c.state) << " " << c.active;

  // The glyph's outline takes the colour (the odd high byte of the hot colour is dropped); its
  // fill stays as drawn.
  dxSVGCore::Initialize();
  dxSVGImage::Initialize();
  for (const auto& [state, rgb] : {std::pair{fstsPressed, 0x303030u}, std::pair{fstsHot, 0x848484u}}) {
    TcxCustomLookAndFeelPainter painter;
    PainterProbe probe(24, 24);
    painter.DrawScaledFilterSmartTag(probe.Canvas(), probe.Bounds(), state, true, sf_);
    if (state == fstsPressed) probe.SavePng("painter_filter_smart_tag");
    EXPECT_GT(Count(probe, rgb), 10) << int(state);
    EXPECT_GT(Count(probe, 0xFFFFFF), 10) << int(state);
    EXPECT_EQ(Count(probe, 0x404040), 0) << int(state);
  }
  dxSVGImage::Finalize();
  dxSVGCore::Finalize();
}

TEST_F(PainterHeadersTest, ContentPaintsBackgroundUnlessTheEventDoes) {
  // The event paints: only the text is drawn.
  PainterProbe probe(40, 16);
  painter_.DrawContent(probe.Canvas(), probe.Bounds(), probe.Bounds(), cxbsNormal, taLeftJustify, vaTop,
                       false, false, u"Wx", font_.get(), clBlack, clRed, Background(true));
  EXPECT_EQ(background_calls_, 1);
  EXPECT_EQ(background_bounds_, probe.Bounds());
  EXPECT_EQ(Count(probe, 0xFF0000), 0);
  EXPECT_GT(Count(probe, 0x000000), 5);
  EXPECT_EQ(probe.Canvas()->Brush()->Style(), bsSolid);

  // The event declines: the background is filled; without text that is all.
  PainterProbe empty(6, 3);
  painter_.DrawContent(empty.Canvas(), TRect{1, 1, 6, 3}, empty.Bounds(), cxbsNormal, taLeftJustify, vaTop,
                       false, false, String(), nullptr, clBlack, clRed, Background(false));
  EXPECT_TRUE(empty.Matches({"......", ".#####", ".#####"}, clRed));

  // A header fills only its content inside the borders the painter draws.
  PainterProbe header(8, 6);
  bordered_.DrawScaledHeader(header.Canvas(), header.Bounds(), header.Bounds(), TcxNeighbors{},
                             TcxBorders{bLeft, bBottom}, cxbsNormal, taLeftJustify, vaTop, false, false,
                             String(), nullptr, clBlack, clBlue, sf_);
  EXPECT_TRUE(
      header.Matches({".#######", ".#######", ".#######", ".#######", ".#######", "........"}, clBlue));
}

TEST_F(PainterHeadersTest, DisabledSectionTextIsEmbossed) {
  auto draw = [&](TcxButtonState AState) {
    return DrawProbe(40, 16, [&](TcxCanvas* ACanvas, const TRect& R) {
      painter_.DrawHeaderControlSectionText(ACanvas, R, AState, taLeftJustify, vaTop, false, false, u"Wx",
                                            font_.get(), clRed);
    });
  };
  const auto disabled = draw(cxbsDisabled);
  disabled->SavePng("painter_section_text_disabled");
  EXPECT_GT(Count(*disabled, ColorPx(clBtnHighlight)), 3);
  EXPECT_GT(Count(*disabled, ColorPx(clBtnShadow)), 3);
  EXPECT_EQ(Count(*disabled, 0xFF0000), 0);
  const auto normal = draw(cxbsNormal);
  EXPECT_GT(Count(*normal, 0xFF0000), 3);
  EXPECT_EQ(Count(*normal, ColorPx(clBtnHighlight)), 0);
  // The highlight copy lies one pixel right and down of the shadow one: the last column of
  // highlight is right of the last column of shadow.
  int lastShadow = -1, lastHighlight = -1;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 40; ++x) {
      if (disabled->Rgb(x, y) == ColorPx(clBtnShadow)) lastShadow = std::max(lastShadow, x);
      if (disabled->Rgb(x, y) == ColorPx(clBtnHighlight)) lastHighlight = std::max(lastHighlight, x);
    }
  EXPECT_EQ(lastHighlight, lastShadow + 1);

  // A section: the border size's margin stays, the content is filled, the text comes after.
  PainterProbe section(6, 4);
  painter_.DrawScaledHeaderControlSection(section.Canvas(), section.Bounds(), section.Bounds(),
                                          TcxNeighbors{}, cxBordersAll, cxbsNormal, taLeftJustify, vaTop,
                                          false, false, String(), nullptr, clBlack, clGreen, sf_);
  EXPECT_TRUE(section.Matches({"......", ".####.", ".####.", "......"}, clGreen));
}

TEST_F(PainterHeadersTest, IndicatorArrowsMirrorRightToLeft) {
  auto draw = [&](TcxIndicatorKind AKind, bool ARtl) {
    auto probe = std::make_unique<PainterProbe>(13, 11);
    probe->Canvas()->SetUseRightToLeftAlignment(ARtl);
    painter_.DrawScaledIndicatorImage(probe->Canvas(), TRect{1, 0, 12, 11}, AKind, sf_);
    return probe;
  };
  EXPECT_EQ(Count(*draw(ikNone, false), kSentinel & 0xFFFFFF), 13 * 11);
  for (TcxIndicatorKind kind : {ikArrow, ikMultiArrow, ikEdit, ikInsert}) {
    SCOPED_TRACE(int(kind));
    const auto ltr = draw(kind, false);
    const auto rtl = draw(kind, true);
    const bool mirrors = kind == ikArrow || kind == ikMultiArrow;
    if (kind == ikArrow) rtl->SavePng("painter_indicator_arrow_rtl");
    int ink = 0;
    for (int y = 0; y < 11; ++y)
      for (int x = 1; x < 12; ++x) {
        ink += ltr->Rgb(x, y) != (kSentinel & 0xFFFFFF);
        ASSERT_EQ(rtl->Rgb(x, y), ltr->Rgb(mirrors ? 12 - x : x, y)) << x << "," << y;
      }
    EXPECT_GT(ink, 5);
  }
  // The arrow points right left-to-right: its widest column is left of its tip.
  const auto arrow = draw(ikArrow, true);
  int tipX = -1;
  for (int x = 1; x < 12; ++x)
    if (arrow->Rgb(x, 5) != (kSentinel & 0xFFFFFF) && tipX < 0) tipX = x;
  int firstInk = -1;
  for (int x = 1; x < 12 && firstInk < 0; ++x)
    for (int y = 0; y < 11; ++y)
      if (arrow->Rgb(x, y) != (kSentinel & 0xFFFFFF)) {
        firstInk = x;
        break;
      }
  EXPECT_EQ(tipX, firstInk);  // mirrored: the tip is the leftmost ink, alone in its column
  int tipColumn = 0;
  for (int y = 0; y < 11; ++y) tipColumn += arrow->Rgb(tipX, y) != (kSentinel & 0xFFFFFF);
  EXPECT_EQ(tipColumn, 1);
}

TEST_F(PainterHeadersTest, IndicatorItemsAndCustomizationMark) {
  // The item: the background colour over the whole item, the glyph on it.
  PainterProbe item(13, 13);
  painter_.DrawScaledIndicatorItem(item.Canvas(), item.Bounds(), ikArrow, clYellow, sf_);
  const auto glyph = DrawProbe(13, 13, [&](TcxCanvas* ACanvas, const TRect& R) {
    ACanvas->FillRect(R, clYellow);
    painter_.DrawScaledIndicatorImage(ACanvas, R, ikArrow, sf_);
  });
  for (int y = 0; y < 13; ++y)
    for (int x = 0; x < 13; ++x) ASSERT_EQ(item.Rgb(x, y), glyph->Rgb(x, y)) << x << "," << y;
  EXPECT_GT(Count(item, 0xFFFF00), 100);

  PainterProbe mark(12, 12);
  painter_.DrawScaledIndicatorCustomizationMark(mark.Canvas(), mark.Bounds(), clBlack, sf_);
  EXPECT_TRUE(mark.Matches(
      {"............", "...#.####...", "............", ".....####...", "............", "...#.####...",
       "............", ".....####...", "............", "...#.####...", "............", "............"},
      clBlack));
}

TEST_F(PainterHeadersTest, SortingArrowsAreTwoColouredTriangles) {
  PainterProbe up(11, 12);
  bordered_.DrawSortingArrow(up.Canvas(), up.Bounds(), clBlack, clWhite, true, sf_);
  up.SavePng("painter_sorting_arrow_up");
  PainterProbe down(11, 12);
  bordered_.DrawSortingArrow(down.Canvas(), down.Bounds(), clBlack, clWhite, false, sf_);
  down.SavePng("painter_sorting_arrow_down");
  // Each line leaves out its end pixel, and the right side is drawn twice along slightly
  // different lines.
  EXPECT_TRUE(
      up.Matches({"...........", "...........", ".....#.....", ".....#w....", "....#.w....", "....#.ww...",
                  "...#...w...", "...#...ww..", "..#.....w..", "..#wwwwww..", "...........", "..........."},
                 {{'#', clBlack}, {'w', clWhite}}));
  // Descending: the same triangle upside down, its top edge in the dark colour.
  EXPECT_TRUE(
      down.Matches({"...........", "...........", "..#######..", "..#.....w..", "...#...ww..", "...#...w...",
                    "....#.ww...", "....#.w....", ".....#w....", ".....#.....", "...........", "..........."},
                   {{'#', clBlack}, {'w', clWhite}}));

  // The summary mark: a bar (two in different colours) over a shorter arrow.
  PainterProbe summary(11, 12);
  bordered_.DrawSummarySortingArrow(summary.Canvas(), summary.Bounds(), clBlack, clWhite, true, sf_);
  summary.SavePng("painter_summary_sorting_arrow");
  for (int x = 2; x <= 8; ++x) {
    EXPECT_EQ(summary.Rgb(x, 0), 0x000000u) << x;
    EXPECT_EQ(summary.Rgb(x, 1), 0xFFFFFFu) << x;
  }
  EXPECT_EQ(summary.Rgb(1, 0), kSentinel & 0xFFFFFF);
  EXPECT_EQ(summary.Rgb(9, 0), kSentinel & 0xFFFFFF);
  // The summary-value mark is indicator image 7.
  PainterProbe value(11, 11);
  painter_.DrawScaledSummaryValueSortingMark(value.Canvas(), value.Bounds(), true, sf_);
  PainterProbe direct(11, 11);
  cxIndicatorImages()->Draw(direct.Canvas()->Canvas(), 0, 0, 7);
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 11; ++x) ASSERT_EQ(value.Rgb(x, y), direct.Rgb(x, y)) << x << "," << y;
}

TEST_F(PainterHeadersTest, FooterPanelSeparatorAndClip) {
  PainterProbe probe(6, 5);
  TcxViewParams params;
  params.Color = clYellow;
  painter_.DrawFooterPanel(probe.Canvas(), TRect{0, 1, 6, 4}, params, cxBordersAll);
  EXPECT_TRUE(probe.Matches({"......", "ssssss", "yyyyyy", "yyyyyy", "......"},
                            {{'s', clBtnShadow}, {'y', clYellow}}));
  probe.Canvas()->FillRect(probe.Bounds(), clRed);
  EXPECT_EQ(probe.Rgb(0, 0), 0xFF0000u);  // the clip is restored
  // An empty rectangle draws no content; the find panel's border is the footer's.
  PainterProbe border(3, 3);
  painter_.DrawFooterContent(border.Canvas(), TRect{0, 0, 0, 3}, params);
  painter_.DrawFindPanelBorder(border.Canvas(), border.Bounds(), cxBordersAll);
  EXPECT_TRUE(border.Matches({"###", "...", "..."}, clBtnShadow));
  // Footer cells: the text area is inset by 2.
  PainterProbe cell(10, 6);
  painter_.DrawFooterCell(cell.Canvas(), cell.Bounds(), taLeftJustify, vaTop, false, String(), nullptr,
                          clBlack, clAqua);
  EXPECT_EQ(Count(cell, ColorPx(clAqua)), 60);
  // The separator of header strips: view params at both ends, the colour between.
  PainterProbe separator(7, 1);
  painter_.DrawHeaderSeparator(separator.Canvas(), separator.Bounds(), 2, clBlue, params);
  EXPECT_TRUE(separator.Matches({"yybbbyy"}, {{'y', clYellow}, {'b', clBlue}}));
}

}  // namespace
}  // namespace qd::testing
