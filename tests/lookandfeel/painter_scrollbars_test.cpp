// The base painter's scroll-bar parts, size grips, drop-down window frames, popup bands and
// hint backgrounds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lookandfeel/painter_draw_test_util.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersBitmaps.h"

namespace qd::testing {
namespace {

// Records the scroll-bar parts it is asked to draw.
class PartsPainter : public TcxCustomLookAndFeelPainter {
 public:
  struct TCall {
    bool horizontal;
    TcxScrollBarPart part;
    TcxButtonState state;
    bool operator==(const TCall&) const = default;
  };
  void DoDrawScaledScrollBarPart(TcxCanvas*, bool AHorizontal, const TRect&, TcxScrollBarPart APart,
                                 TcxButtonState AState, TdxScaleFactor*) override {
    calls.push_back({AHorizontal, APart, AState});
  }
  std::vector<TCall> calls;
};

class PainterScrollBarsTest : public PainterDrawTest {
 protected:
  TcxCustomLookAndFeelPainter painter_;
  TdxScaleFactor* sf_ = dxDefaultScaleFactor();
};

TEST_F(PainterScrollBarsTest, OnlyHorizontalLineButtonsChangePlacesRightToLeft) {
  struct Case {
    bool horizontal;
    bool rtl;
    TcxScrollBarPart asked;
    TcxScrollBarPart drawn;
  };
  const Case cases[] = {
      {true, true, sbpLineUp, sbpLineDown},     {true, true, sbpLineDown, sbpLineUp},
      {true, true, sbpThumbnail, sbpThumbnail}, {true, true, sbpPageUp, sbpPageUp},
      {true, false, sbpLineUp, sbpLineUp},      {false, true, sbpLineUp, sbpLineUp},
      {false, true, sbpLineDown, sbpLineDown},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "horizontal " << c.horizontal << " rtl " << c.rtl << " part " << c.asked);
    PartsPainter painter;
    PainterProbe probe(4, 4);
    probe.Canvas()->SetUseRightToLeftAlignment(c.rtl);
    painter.DrawScaledScrollBarPart(probe.Canvas(), c.horizontal, probe.Bounds(), c.asked, cxbsHot, sf_);
    ASSERT_EQ(painter.calls.size(), 1u);
    EXPECT_EQ(painter.calls[0], (PartsPainter::TCall{c.horizontal, c.drawn, cxbsHot}));
  }
}

TEST_F(PainterScrollBarsTest, BackgroundAndSliderButtonsAreScrollBarParts) {
  PartsPainter painter;
  PainterProbe probe(4, 4);
  painter.DrawScaledScrollBarBackground(probe.Canvas(), probe.Bounds(), true, sf_);
  painter.DrawScaledSliderButton(probe.Canvas(), probe.Bounds(), adUp, cxbsPressed, sf_);
  painter.DrawScaledSliderButton(probe.Canvas(), probe.Bounds(), adDown, cxbsNormal, sf_);
  painter.DrawScaledSliderButton(probe.Canvas(), probe.Bounds(), adLeft, cxbsNormal, sf_);
  painter.DrawScaledSliderButton(probe.Canvas(), probe.Bounds(), adRight, cxbsDisabled, sf_);
  const std::vector<PartsPainter::TCall> want = {{true, sbpPageUp, cxbsNormal},
                                                 {false, sbpLineUp, cxbsPressed},
                                                 {false, sbpLineDown, cxbsNormal},
                                                 {true, sbpLineUp, cxbsNormal},
                                                 {true, sbpLineDown, cxbsDisabled}};
  EXPECT_EQ(painter.calls, want);
  // The arrow a line button shows.
  EXPECT_EQ(TcxCustomLookAndFeelPainter::GetArrowDirection(false, sbpLineUp), adUp);
  EXPECT_EQ(TcxCustomLookAndFeelPainter::GetArrowDirection(false, sbpPageUp), adDown);
  EXPECT_EQ(TcxCustomLookAndFeelPainter::GetArrowDirection(true, sbpLineUp), adLeft);
  EXPECT_EQ(TcxCustomLookAndFeelPainter::GetArrowDirection(true, sbpLineDown), adRight);
}

TEST_F(PainterScrollBarsTest, MetricsFollowTheSystemAndTheScaleFactor) {
  TdxScaleFactor big;
  big.Assign(3, 2, false);
  EXPECT_EQ(painter_.ScaledScrollBarMinimalThumbSize(true, sf_), 8);
  EXPECT_EQ(painter_.ScaledScrollBarMinimalThumbSize(false, &big), 12);
  EXPECT_EQ(painter_.ScaledSizeGripSize(sf_), (TSize{17, 17}));
  EXPECT_EQ(painter_.ScaledSliderButtonSize(adLeft, sf_), (TSize{17, 17}));
  // The band: the largest of 17 + 3, 17 + 4 and 15 + 6.
  EXPECT_EQ(painter_.ScaledPopupPanelSize(sf_), 21);
  // In touch mode the close button (raised to 27) decides.
  cxIsTouchModeEnabled = true;
  EXPECT_EQ(painter_.ScaledPopupPanelSize(sf_), 33);
  cxIsTouchModeEnabled = false;
  EXPECT_EQ(painter_.GetEditPopupWindowClientEdgeWidth(epbsFlat), 1);
  EXPECT_EQ(painter_.PopupBorderStyle(), pbsUltraFlat);
  EXPECT_EQ(painter_.ScreenTipGetFooterLineSize(), 3);
  EXPECT_EQ(painter_.GetHintBorderColor(), clDefault);
  EXPECT_EQ(painter_.GetWindowContentTextColor(), clBtnText);
}

TEST_F(PainterScrollBarsTest, PopupLayoutPutsTheBandAtTheGripsSide) {
  // A grip at the bottom right, no close button.
  TRect client{0, 0, 200, 100}, panel, grip, close{5, 5, 6, 6};
  painter_.CalculateScaledPopupPanelClientRect(client, panel, grip, close, coBottomRight, TRect{1, 1, 1, 1},
                                               TRect{0, 1, 0, 0}, sf_, 0, false, true);
  EXPECT_EQ(panel, (TRect{1, 78, 199, 99}));
  EXPECT_EQ(client, (TRect{1, 1, 199, 78}));
  EXPECT_EQ(grip, (TRect{180, 80, 197, 97}));  // 2 pixels from the band's right and bottom
  EXPECT_EQ(close, (TRect{0, 0, 0, 0}));

  // A grip at the top left: the band at the top, the close button at its right end, centred in
  // a square of the band's height inside the band borders.
  client = TRect{0, 0, 200, 100};
  painter_.CalculateScaledPopupPanelClientRect(client, panel, grip, close, coTopLeft, TRect{1, 1, 1, 1},
                                               TRect{0, 0, 0, 1}, sf_, 0, true, true);
  EXPECT_EQ(panel, (TRect{1, 1, 199, 22}));
  EXPECT_EQ(client, (TRect{1, 22, 199, 99}));
  EXPECT_EQ(grip, (TRect{3, 3, 20, 20}));
  EXPECT_EQ(close, (TRect{182, 3, 196, 18}));

  // A given band height and no grip; a right corner puts the close button at the left end.
  client = TRect{10, 10, 110, 60};
  painter_.CalculateScaledPopupPanelClientRect(client, panel, grip, close, coTopRight, TRect{0, 0, 0, 0},
                                               TRect{0, 0, 0, 0}, sf_, 30, true, false);
  EXPECT_EQ(panel, (TRect{10, 10, 110, 40}));
  EXPECT_EQ(client, (TRect{10, 40, 110, 60}));
  EXPECT_EQ(grip, (TRect{0, 0, 0, 0}));
  EXPECT_EQ(close, (TRect{18, 17, 32, 32}));
}

TEST_F(PainterScrollBarsTest, EditPopupFramesDeflateByTheirWidth) {
  struct Case {
    TcxEditPopupBorderStyle style;
    bool clientEdge;
    int32_t deflation;
  };
  const Case cases[] = {{epbsDefault, false, 1},
                        {epbsSingle, false, 1},
                        {epbsFlat, true, 2},
                        {epbsFrame3D, true, 4},
                        {epbsFrame3D, false, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "style " << int(c.style) << " client edge " << c.clientEdge);
    PainterProbe probe(12, 12);
    TRect r = probe.Bounds();
    painter_.DrawEditPopupWindowBorder(probe.Canvas(), r, c.style, c.clientEdge);
    EXPECT_EQ(r, cxRectInflate(probe.Bounds(), -c.deflation));
    if (c.style != epbsDefault) EXPECT_EQ(c.deflation, painter_.GetEditPopupWindowBorderWidth(c.style));
    // The frame covers the margin and leaves the inside alone.
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 12; ++x) {
        const bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
        const bool sentinel = probe.Rgb(x, y) == (kSentinel & 0xFFFFFF);
        if (inside || c.style == epbsDefault)
          EXPECT_TRUE(sentinel) << x << "," << y;
        else
          EXPECT_FALSE(sentinel) << x << "," << y;
      }
  }
  // The single frame is one line of button text.
  PainterProbe single(5, 4);
  TRect r = single.Bounds();
  painter_.DrawEditPopupWindowBorder(single.Canvas(), r, epbsSingle, false);
  EXPECT_TRUE(single.Matches({"#####", "#...#", "#...#", "#####"}, clBtnText));
  // Frame3D with a client edge: raised outer and inner edges, an inactive-border ring, a
  // button-face ring.
  PainterProbe frame(10, 10);
  r = frame.Bounds();
  painter_.DrawEditPopupWindowBorder(frame.Canvas(), r, epbsFrame3D, true);
  EXPECT_EQ(frame.Rgb(2, 5), ColorPx(clInactiveBorder));
  EXPECT_EQ(frame.Rgb(3, 5), ColorPx(clBtnFace));
  EXPECT_EQ(frame.Rgb(0, 5), ColorPx(cl3DLight));       // the raised outer edge: light at the left
  EXPECT_EQ(frame.Rgb(1, 5), ColorPx(clBtnHighlight));  // the raised inner edge
  EXPECT_EQ(frame.Rgb(9, 5), ColorPx(cl3DDkShadow));
}

TEST_F(PainterScrollBarsTest, HintsAndScreenTips) {
  PainterProbe probe(6, 5);
  painter_.DrawHintBackground(probe.Canvas(), TRect{0, 0, 3, 5});
  painter_.DrawHintBackground(probe.Canvas(), TRect{3, 0, 6, 5}, clRed);
  EXPECT_TRUE(
      probe.Matches({"iiirrr", "iiirrr", "iiirrr", "iiirrr", "iiirrr"}, {{'i', clInfoBk}, {'r', clRed}}));

  PainterProbe tip(8, 6);
  painter_.ScreenTipDrawBackground(tip.Canvas(), tip.Bounds());
  tip.SavePng("painter_screen_tip");
  EXPECT_TRUE(tip.Matches({"?######?", "#iiiiii#", "#iiiiii#", "#iiiiii#", "#iiiiii#", "?######?"},
                          {{'#', clWindowFrame}, {'i', clInfoBk}}));
  EXPECT_EQ(tip.Canvas()->Brush()->Style(), bsSolid);

  PainterProbe footer(4, 3);
  painter_.ScreenTipDrawFooterLine(footer.Canvas(), footer.Bounds());
  EXPECT_TRUE(footer.Matches({"####", "wwww", "...."}, {{'#', clWindowFrame}, {'w', clWhite}}));
}

TEST_F(PainterScrollBarsTest, SizeGripTurnsTowardEachCorner) {
  // The system grip drawn for the bottom-right corner, then turned: each corner's picture is
  // the bottom-right one flipped horizontally and/or vertically.
  constexpr int kSize = 17;
  auto draw = [&](TdxCorner ACorner) {
    return DrawProbe(kSize, kSize, [&](TcxCanvas* ACanvas, const TRect& R) {
      painter_.DrawScaledSizeGrip(ACanvas, R, sf_, clWhite, ACorner);
    });
  };
  const auto bottomRight = draw(coBottomRight);
  bottomRight->SavePng("painter_size_grip_bottom_right");
  // The system's grip covers the whole rectangle with the button face and puts its ridges in
  // the bottom-right half.
  int ink = 0;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) ink += bottomRight->Rgb(x, y) != ColorPx(clBtnFace);
  EXPECT_GT(ink, 10);
  for (int y = 0; y < kSize / 2; ++y)
    for (int x = 0; x < kSize / 2; ++x)
      EXPECT_EQ(bottomRight->Rgb(x, y), ColorPx(clBtnFace)) << x << "," << y;
  struct Case {
    TdxCorner corner;
    bool flipX, flipY;
  };
  for (const Case c :
       {Case{coBottomLeft, true, false}, Case{coTopRight, false, true}, Case{coTopLeft, true, true}}) {
    SCOPED_TRACE(::testing::Message() << "corner " << int(c.corner));
    const auto turned = draw(c.corner);
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) {
        const int sx = c.flipX ? kSize - 1 - x : x;
        const int sy = c.flipY ? kSize - 1 - y : y;
        ASSERT_EQ(turned->Rgb(x, y), bottomRight->Rgb(sx, sy)) << x << "," << y;
      }
  }
  // The unscaled form draws the same at the system scale factor.
  const auto unscaled = DrawProbe(kSize, kSize, [&](TcxCanvas* ACanvas, const TRect& R) {
    painter_.DrawSizeGrip(ACanvas, R, clWhite, coBottomRight);
  });
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) ASSERT_EQ(unscaled->Rgb(x, y), bottomRight->Rgb(x, y));
}

TEST_F(PainterScrollBarsTest, PopupBandFillsBordersGripAndCloseButtonThenLeavesTheBandClipped) {
  // A 60 x 21 band at the bottom of its popup, with a one-pixel border at the top.
  PainterProbe probe(60, 25);
  TRect client{0, 0, 60, 25}, panel, grip, close;
  painter_.CalculateScaledPopupPanelClientRect(client, panel, grip, close, coBottomRight, TRect{0, 0, 0, 0},
                                               TRect{0, 1, 0, 0}, sf_, 21, true, true);
  ASSERT_EQ(panel, (TRect{0, 4, 60, 25}));
  painter_.DrawScaledPopupPanelBand(probe.Canvas(), panel, grip, close, coBottomRight, cxbsNormal,
                                    TRect{0, 1, 0, 0}, clRed, sf_, true, true);
  // Later drawing leaves the band alone.
  probe.Canvas()->FillRect(probe.Bounds(), clBlue);
  probe.SavePng("painter_popup_band", 6);
  for (int x = 0; x < 60; ++x) {
    EXPECT_EQ(probe.Rgb(x, 3), 0x0000FFu) << x;  // above the band
    EXPECT_EQ(probe.Rgb(x, 4), 0xFF0000u) << x;  // the band's top border
  }
  // Window content around the close button and the grip.
  EXPECT_EQ(probe.Rgb(close.Right + 2, 12), ColorPx(clBtnFace));
  EXPECT_EQ(probe.Rgb(grip.Left - 1, 12), ColorPx(clBtnFace));
  // The grip: the system's bottom-right grip over window content.
  const auto alone = DrawProbe(grip.Width(), grip.Height(), [&](TcxCanvas* ACanvas, const TRect& R) {
    painter_.DrawWindowContent(ACanvas, R);
    painter_.DrawScaledSizeGrip(ACanvas, R, sf_, clNone, coBottomRight);
  });
  for (int y = 0; y < grip.Height(); ++y)
    for (int x = 0; x < grip.Width(); ++x)
      ASSERT_EQ(probe.Rgb(grip.Left + x, grip.Top + y), alone->Rgb(x, y)) << x << "," << y;
  // The close button's cross is drawn in button text.
  int cross = 0;
  for (int y = close.Top; y < close.Bottom; ++y)
    for (int x = close.Left; x < close.Right; ++x) cross += probe.Rgb(x, y) == ColorPx(clBtnText);
  EXPECT_GT(cross, 4);
}

}  // namespace
}  // namespace qd::testing
