// The base painter's progress-bar caption, group box, panel, track-bar thumbs and splitter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lookandfeel/painter_draw_test_util.h"
#include "ui/core/dxDPIAwareUtils.h"

namespace qd::testing {
namespace {

// Text over the chunk in white, elsewhere in the base colour (black window text).
class TwoColourTextPainter : public TcxCustomLookAndFeelPainter {
 public:
  TColor ProgressBarTextColorEx(bool AIsFilledArea) override {
    return AIsFilledArea ? clWhite : TcxCustomLookAndFeelPainter::ProgressBarTextColorEx(false);
  }
};

// Records the thumb edges it is given.
class ThumbEdgesPainter : public TcxCustomLookAndFeelPainter {
 public:
  void DrawTrackBarThumbBorderUpDown(TcxCanvas*, const std::vector<TPoint>& ALight,
                                     const std::vector<TPoint>& AShadow,
                                     const std::vector<TPoint>& ADark) override {
    light = ALight;
    shadow = AShadow;
    dark = ADark;
  }
  void DrawTrackBarThumbBorderBoth(TcxCanvas*, const TRect& ARect) override { both = ARect; }
  std::vector<TPoint> light, shadow, dark;
  TRect both{};
};

class PainterProgressTest : public PainterDrawTest {
 protected:
  static constexpr int kW = 60;
  static constexpr int kH = 20;
  static constexpr int kChunkRight = 24;

  // A bar: the chunk (blue) on the left, the empty part (silver) on the right.
  std::unique_ptr<PainterProbe> Bar() {
    auto probe = std::make_unique<PainterProbe>(kW, kH);
    probe->Canvas()->FillRect(TRect{0, 0, kChunkRight, kH}, clBlue);
    probe->Canvas()->FillRect(TRect{kChunkRight, 0, kW, kH}, clSilver);
    probe->Canvas()->Font()->SetSize(11);
    probe->Canvas()->Font()->SetStyle(TFontStyles{fsBold});
    return probe;
  }
  TRect Chunk() const { return TRect{0, 0, kChunkRight, kH}; }

  TcxCustomLookAndFeelPainter painter_;
  TdxScaleFactor* sf_ = dxDefaultScaleFactor();
  const String text_ = u"50%WM";
};

TEST_F(PainterProgressTest, SolidTextIsDrawnOnceInItsColour) {
  auto probe = Bar();
  painter_.DrawProgressBarText(probe->Canvas(), false, true, text_, TRect{4, 2, kW, kH}, probe->Bounds(),
                               Chunk(), clRed);
  int red = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const uint32_t px = probe->Rgb(x, y);
      red += px == 0xFF0000;
      if (x < 4 || y < 2) EXPECT_TRUE(px == 0x0000FF || px == ColorPx(clSilver)) << x << "," << y;
    }
  EXPECT_GT(red, 20);
  // The canvas state comes back.
  EXPECT_NE(probe->Canvas()->Font()->Color(), clRed);
}

TEST_F(PainterProgressTest, InvertedTextXorsWhateverLiesBeneath) {
  // The text as white on black, drawn once in the same place: the mask that is XORed.
  auto mask = std::make_unique<PainterProbe>(kW, kH, 0xFF000000);
  mask->Canvas()->Font()->SetSize(11);
  mask->Canvas()->Font()->SetStyle(TFontStyles{fsBold});
  const TRect textRect{4, 2, kW - 2, kH};
  painter_.DrawProgressBarText(mask->Canvas(), false, true, text_, textRect, mask->Bounds(), Chunk(),
                               clWhite);

  // Not solid with the base painter: inverted, even though a colour is given.
  auto bar = Bar();
  const auto before = Bar();
  painter_.DrawProgressBarText(bar->Canvas(), false, false, text_, textRect, bar->Bounds(), Chunk(), clRed);
  bar->SavePng("painter_progress_text_xor", 6);
  int inverted = 0, overChunk = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const uint32_t want = before->Rgb(x, y) ^ mask->Rgb(x, y);
      ASSERT_EQ(bar->Rgb(x, y), want) << x << "," << y;
      if (mask->Rgb(x, y) == 0xFFFFFF) {
        ++inverted;
        overChunk += x < kChunkRight;
      }
    }
  EXPECT_GT(inverted, 20);
  EXPECT_GT(overChunk, 5);  // the caption crosses the chunk's edge
  // Over the chunk a full text pixel turns blue into yellow, over the empty part silver into grey.
  bool yellow = false, grey = false;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      yellow = yellow || bar->Rgb(x, y) == 0xFFFF00;
      grey = grey || bar->Rgb(x, y) == (ColorPx(clSilver) ^ 0xFFFFFF);
    }
  EXPECT_TRUE(yellow);
  EXPECT_TRUE(grey);
  EXPECT_EQ(bar->Canvas()->CopyMode(), cmSrcCopy);
}

TEST_F(PainterProgressTest, TwoColourTextChangesColourAtTheChunksEdge) {
  TwoColourTextPainter painter;
  auto bar = Bar();
  const TRect textRect{4, 2, kW - 2, kH};
  painter.DrawProgressBarText(bar->Canvas(), false, false, text_, textRect, bar->Bounds(), Chunk(),
                              clDefault);
  bar->SavePng("painter_progress_text_two_colours", 6);
  int whiteOnChunk = 0, blackOffChunk = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const uint32_t px = bar->Rgb(x, y);
      if (x < kChunkRight) {
        EXPECT_NE(px, 0x000000u) << x << "," << y;
        whiteOnChunk += px == 0xFFFFFF;
      } else {
        EXPECT_NE(px, 0xFFFFFFu) << x << "," << y;
        blackOffChunk += px == 0x000000;
      }
    }
  EXPECT_GT(whiteOnChunk, 5);
  EXPECT_GT(blackOffChunk, 10);
  // The clip to the chunk does not outlive the call.
  bar->Canvas()->FillRect(bar->Bounds(), clLime);
  EXPECT_EQ(bar->Rgb(kW - 1, kH - 1), 0x00FF00u);

  // A caption away from the chunk is drawn once, in the empty part's colour.
  auto apart = Bar();
  painter.DrawProgressBarText(apart->Canvas(), false, false, text_, TRect{kChunkRight + 1, 2, kW, kH},
                              apart->Bounds(), Chunk(), clDefault);
  int black = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      black += apart->Rgb(x, y) == 0x000000;
      EXPECT_NE(apart->Rgb(x, y), 0xFFFFFFu);
    }
  EXPECT_GT(black, 10);
}

TEST_F(PainterProgressTest, ConstantsAndDelegations) {
  TdxScaleFactor big;
  big.Assign(3, 2, false);
  EXPECT_EQ(painter_.ProgressBarTextColor(), clWindowText);
  EXPECT_EQ(painter_.ProgressBarTextColorEx(true), clDefault);
  EXPECT_EQ(painter_.ProgressBarBorderSize(true), (TRect{0, 0, 0, 0}));
  EXPECT_EQ(painter_.PanelTextColor(), clWindowText);
  EXPECT_EQ(painter_.GroupBoxTextColor(false, cxgpLeft), clBtnShadow);
  EXPECT_EQ(painter_.GroupBoxBorderSize(true, cxgpTop), (TRect{0, 0, 0, 0}));
  EXPECT_TRUE(painter_.IsGroupBoxCaptionTextDrawnOverBorder(cxgpBottom));
  EXPECT_FALSE(painter_.IsGroupBoxTransparent(true, cxgpTop));
  EXPECT_EQ(painter_.TrackBarScaledThumbSize(true, sf_), (TSize{0, 0}));
  EXPECT_EQ(painter_.TrackBarTicksColor(true), clDefault);
  EXPECT_EQ(painter_.GetSplitterInnerColor(true), clWhite);
  EXPECT_EQ(painter_.GetSplitterOuterColor(false), clBtnShadow);
  EXPECT_EQ(painter_.GetScaledSplitterSize(true, sf_), (TSize{17, 2}));
  EXPECT_EQ(painter_.GetScaledSplitterSize(false, &big), (TSize{3, 26}));  // 25.5 rounds away from zero
  EXPECT_TRUE(painter_.HasSplitterInnerLine(false, sf_));

  TRect r{10, 10, 20, 30};
  painter_.CorrectThumbRect(nullptr, r, true, tbtaUp);
  EXPECT_EQ(r, (TRect{10, 10, 21, 31}));

  // The panel's content is the button face; its background is the (empty) group-box one.
  PainterProbe panel(4, 2);
  painter_.DrawPanelBackground(panel.Canvas(), nullptr, panel.Bounds(), clRed, clBlue);
  EXPECT_TRUE(panel.Matches({"....", "...."}, clRed));
  painter_.DrawPanelContent(panel.Canvas(), TRect{0, 0, 2, 2}, true);
  EXPECT_TRUE(panel.Matches({"##..", "##.."}, clBtnFace));
  // The track is filled with its colour.
  PainterProbe track(3, 2);
  painter_.DrawTrackBarScaledTrack(track.Canvas(), TRect{0, 0, 2, 2}, TRect{}, true, true, true, clGreen,
                                   sf_);
  EXPECT_TRUE(track.Matches({"##.", "##."}, clGreen));
}

TEST_F(PainterProgressTest, ThumbOutlinesFollowTheTicks) {
  using TOutline = TcxCustomLookAndFeelPainter::TcxTrackBarThumbOutline;
  // The horizontal thumb pointing up: apex at (5, 0), straight sides from row 4 to row 18.
  const TOutline up =
      TcxCustomLookAndFeelPainter::CalculateTrackBarThumbOutline(TRect{0, 0, 11, 20}, true, tbtaUp);
  EXPECT_EQ(up.Body, (std::vector<TPoint>{{10, 18}, {1, 18}, {1, 4}, {5, 0}, {10, 4}}));
  EXPECT_EQ(up.Light, (std::vector<TPoint>{{0, 19}, {0, 4}, {5, -1}}));
  // Pointing down, a vertical thumb pointing right, and one pointing left: the apex lies on the
  // side away from the track and the body spans the rest.
  const TOutline down =
      TcxCustomLookAndFeelPainter::CalculateTrackBarThumbOutline(TRect{0, 0, 11, 20}, true, tbtaDown);
  EXPECT_EQ(down.Body, (std::vector<TPoint>{{10, 1}, {1, 1}, {1, 15}, {5, 19}, {10, 15}}));
  EXPECT_EQ(down.Dark, (std::vector<TPoint>{{5, 20}, {11, 15}, {11, 0}}));
  const TOutline right =
      TcxCustomLookAndFeelPainter::CalculateTrackBarThumbOutline(TRect{0, 0, 20, 11}, false, tbtaDown);
  EXPECT_EQ(right.Body, (std::vector<TPoint>{{1, 10}, {1, 1}, {15, 1}, {19, 5}, {15, 10}}));
  const TOutline left =
      TcxCustomLookAndFeelPainter::CalculateTrackBarThumbOutline(TRect{0, 0, 20, 11}, false, tbtaUp);
  EXPECT_EQ(left.Body, (std::vector<TPoint>{{18, 10}, {18, 1}, {4, 1}, {0, 5}, {4, 10}}));
  EXPECT_EQ(left.Shadow, (std::vector<TPoint>{{0, 5}, {4, 10}, {18, 10}, {18, 0}}));

  // Drawn: the body in the thumb colour, the edges handed to the painter.
  ThumbEdgesPainter painter;
  PainterProbe probe(11, 20);
  painter.DrawTrackBarScaledThumb(probe.Canvas(), probe.Bounds(), cxbsNormal, true, tbtaUp, clBlack, sf_);
  probe.SavePng("painter_thumb_up");
  // The apex is one pixel right of the middle, so the right slope is the longer one.
  EXPECT_TRUE(probe.Matches({".....#.....", "....###....", "...######..", "..########.", ".##########",
                             ".##########", ".##########", ".##########", ".##########", ".##########",
                             ".##########", ".##########", ".##########", ".##########", ".##########",
                             ".##########", ".##########", ".##########", ".##########", "..........."},
                            clBlack));
  EXPECT_EQ(painter.light, up.Light);
  EXPECT_EQ(painter.shadow, up.Shadow);
  EXPECT_EQ(painter.dark, up.Dark);
  // Ticks on both sides: a filled rectangle.
  PainterProbe both(4, 3);
  painter.DrawTrackBarScaledThumb(both.Canvas(), TRect{0, 0, 3, 3}, cxbsNormal, true, tbtaBoth, clBlack, sf_);
  EXPECT_TRUE(both.Matches({"###.", "###.", "###."}, clBlack));
  EXPECT_EQ(painter.both, (TRect{0, 0, 3, 3}));
  // A range thumb is one pixel narrower on the right.
  PainterProbe range(11, 20);
  painter.DrawRangeTrackBarScaledLeftThumb(range.Canvas(), range.Bounds(), cxbsNormal, true, tbtaUp, clBlack,
                                           sf_);
  EXPECT_EQ(
      painter.light,
      TcxCustomLookAndFeelPainter::CalculateTrackBarThumbOutline(TRect{0, 0, 10, 20}, true, tbtaUp).Light);
  EXPECT_EQ(range.Rgb(10, 10), kSentinel & 0xFFFFFF);
}

TEST_F(PainterProgressTest, SplitterGripIsDottedInTheMiddle) {
  PainterProbe probe(30, 2);
  painter_.DrawScaledSplitter(probe.Canvas(), probe.Bounds(), false, false, true, sf_);
  EXPECT_TRUE(probe.Matches({"#########.##.##.##.##########.", ".wwwwwwwww.ww.ww.ww.wwwwwwwwww"},
                            {{'#', clBtnShadow}, {'w', clWhite}}));

  // With a close mark the grip leaves the middle to the mark.
  PainterProbe marked(30, 12);
  painter_.DrawScaledSplitter(marked.Canvas(), TRect{0, 5, 30, 7}, false, false, true, sf_, true, adLeft);
  marked.SavePng("painter_splitter_close_mark");
  for (int x = 0; x < 30; ++x) {
    const bool grip = x < 9 || (x >= 22 && x < 29);
    if (grip) EXPECT_EQ(marked.Rgb(x, 5), ColorPx(clBtnShadow)) << x;
    if (x >= 9 && x < 10) EXPECT_EQ(marked.Rgb(x, 5), kSentinel & 0xFFFFFF) << x;
  }
  // The chevron points left: its rows narrow toward the middle row's left end.
  int leftmostMiddle = 30, leftmostTop = 30;
  for (int x = 29; x >= 0; --x) {
    if (x > 9 && x < 22 && marked.Rgb(x, 6) == ColorPx(clBtnShadow)) leftmostMiddle = x;
    if (x > 9 && x < 22 && marked.Rgb(x, 3) == ColorPx(clBtnShadow)) leftmostTop = x;
  }
  EXPECT_LT(leftmostMiddle, leftmostTop);
}

}  // namespace
}  // namespace qd::testing
