// The zoom track bar: the split scale around 100, its bounds, steps, jumps and the snapping drag.
#include <gtest/gtest.h>

#include <memory>

#include "concrete/trackbar_test_util.h"
#include "ui/graphics/cxGraphicsBitmap.h"

namespace qd::testing {
namespace {

class ZoomTrackBar : public TrackBarTest {
 protected:
  void SetUp() override {
    TrackBarTest::SetUp();
    bar->SetVisible(false);
    zoom = new ZoomTestBar(form);
    zoom->Style()->LookAndFeel()->SetKind(lfUltraFlat);
    zoom->Style()->LookAndFeel()->SetNativeStyle(false);
    zoom->SetParent(form);
    // A 200-pixel track: the zone keeps 7 pixels, the buttons off.
    Z()->SetShowChangeButtons(false);
    zoom->SetBounds(kLeft, kTop, 218, 50);
    input = zoom;
    Show();
  }
  TdxCustomZoomTrackBarProperties* Z() { return zoom->ZoomProperties(); }
  TdxCustomZoomTrackBarViewInfo* ZV() { return zoom->ZoomViewInfo(); }
  TPoint OnTrack(int32_t AX) { return TPoint{AX, ThumbCentre().Y}; }

  ZoomTestBar* zoom = nullptr;
};

TEST_F(ZoomTrackBar, DefaultsAndBoundsAroundTheCentre) {
  EXPECT_EQ(Z()->Min(), 10);
  EXPECT_EQ(Z()->Max(), 500);
  EXPECT_FALSE(Z()->ShowTicks());
  EXPECT_EQ(Z()->ThumbStep(), cxtsJump);
  EXPECT_EQ(Z()->FirstRange()->LineSize(), 10);
  EXPECT_EQ(Z()->SecondRange()->PageSize(), 20);
  Z()->SetMin(150);
  EXPECT_EQ(Z()->Min(), 100);
  EXPECT_EQ(Z()->Max(), 500) << "no adjustment of the other bound";
  Z()->SetMax(50);
  EXPECT_EQ(Z()->Max(), 100);
  Z()->FirstRange()->SetLineSize(0);
  Z()->SecondRange()->SetFrequency(-3);
  EXPECT_EQ(Z()->FirstRange()->LineSize(), 1);
  EXPECT_EQ(Z()->SecondRange()->Frequency(), 0);
}

TEST_F(ZoomTrackBar, EachHalfOfTheTrackMapsItsOwnRange) {
  TdxCustomZoomTrackBarViewInfo* vi = ZV();
  ASSERT_EQ(vi->TrackRect.Width(), 200);
  EXPECT_DOUBLE_EQ(vi->PixelsPerPositionFirstRange, 190.0 / 180);
  EXPECT_DOUBLE_EQ(vi->PixelsPerPositionSecondRange, 190.0 / 800);
  struct Case {
    int32_t position;
    int32_t offset;
  };
  const Case cases[] = {{10, 5}, {100, 100}, {500, 195}, {55, 53}, {300, 148}};
  for (const Case& c : cases)
    EXPECT_EQ(vi->GetCoordinate(c.position) - vi->TrackRect.Left, c.offset) << c.position;
  EXPECT_TRUE(vi->IsMajorTick(100));
  EXPECT_TRUE(vi->IsTickText(100));
}

TEST_F(ZoomTrackBar, StepsStopAtTheCentreAndSnapToTheirGrid) {
  TdxCustomZoomTrackBarViewInfo* vi = ZV();
  struct Case {
    int32_t from;
    bool up, line, snap;
    int32_t to;
  };
  const Case cases[] = {
      {90, true, false, false, 100},    // Page Down from 90: stops at 100
      {110, false, false, false, 100},  // Page Up from 110
      {100, true, false, false, 120},  {100, false, false, false, 80}, {100, true, true, false, 110},
      {37, true, true, false, 47},     {37, true, true, true, 40},     {37, false, true, true, 30},
      {95, true, true, true, 100},     {333, false, true, true, 330},  {333, true, true, true, 340},
  };
  for (const Case& c : cases)
    EXPECT_EQ(vi->GetCalculatedPosition(c.from, c.up, c.line, c.snap), c.to)
        << c.from << (c.up ? " up" : " down") << (c.line ? " line" : " page") << (c.snap ? " snapped" : "");
  zoom->SetEditValue(Variant(90));
  Key(VK_NEXT);
  EXPECT_EQ(zoom->Position(), 100);
}

TEST_F(ZoomTrackBar, AJumpLandsOnTheScaleOfTheHalfUnderThePointer) {
  TdxCustomZoomTrackBarViewInfo* vi = ZV();
  const int32_t middle = vi->TrackRect.Left + vi->TrackRect.Width() / 2;
  struct Case {
    int32_t x;
    int32_t position;
  };
  const Case cases[] = {{middle, 100}, {vi->TrackRect.Left + 5, 10}, {middle + 95, 500}, {middle + 19, 180}};
  for (const Case& c : cases) {
    zoom->SetEditValue(Variant(250));
    Press(OnTrack(c.x));
    Release(OnTrack(c.x));
    EXPECT_EQ(zoom->Position(), c.position) << c.x - vi->TrackRect.Left;
  }
}

TEST_F(ZoomTrackBar, DraggingSnapsToTheCentreOnlyAfterTheThumbHasLeftIt) {
  TdxCustomZoomTrackBarViewInfo* vi = ZV();
  const int32_t middle = vi->GetCoordinate(100);
  // From 300 towards the left: within 4 pixels of the centre the thumb sits on 100.
  zoom->SetEditValue(Variant(300));
  const TPoint start = ThumbCentre();
  Press(start);
  MoveTo(TPoint{middle + 6, start.Y});
  EXPECT_GT(zoom->Position(), 100);
  MoveTo(TPoint{middle + 3, start.Y});
  EXPECT_EQ(zoom->Position(), 100);
  MoveTo(TPoint{middle - 3, start.Y});
  EXPECT_EQ(zoom->Position(), 100);
  MoveTo(TPoint{middle - 19, start.Y});
  EXPECT_LT(zoom->Position(), 100);
  Release(TPoint{middle - 19, start.Y});

  // From 100: no snapping back until the pointer has been more than 10 pixels away.
  zoom->SetEditValue(Variant(100));
  const TPoint centre = ThumbCentre();
  Press(centre);
  MoveTo(TPoint{centre.X + 3, centre.Y});
  EXPECT_GT(zoom->Position(), 100) << "started on the centre: no pull back yet";
  MoveTo(TPoint{centre.X + 12, centre.Y});
  EXPECT_GT(zoom->Position(), 100);
  MoveTo(TPoint{centre.X + 2, centre.Y});
  EXPECT_EQ(zoom->Position(), 100) << "after leaving, the centre pulls again";
  Release(TPoint{centre.X + 2, centre.Y});
}

TEST_F(ZoomTrackBar, TheCentreMarkShowsWithoutTicks) {
  Z()->SetTickColor(clRed);
  zoom->SetEditValue(Variant(300));
  Repaint();
  TdxCustomZoomTrackBarViewInfo* vi = ZV();
  EXPECT_FALSE(Z()->ShowTicks());
  EXPECT_EQ(Rgb(vi->GetCoordinate(100), vi->ThumbRect.Bottom + 3), ExpectedRgb(clRed));
  EXPECT_NE(Rgb(vi->GetCoordinate(10), vi->ThumbRect.Bottom + 3), ExpectedRgb(clRed)) << "no other ticks";
}

TEST_F(ZoomTrackBar, ATrackNoWiderThanTheThumbKeepsThePosition) {
  zoom->SetBounds(kLeft, kTop, 20, 50);
  zoom->SetEditValue(Variant(200));
  TdxCustomZoomTrackBarViewInfo* vi = ZV();
  EXPECT_LE(vi->PixelsPerPositionFirstRange, 0);
  const TPoint p = ThumbCentre();
  Press(p);
  MoveTo(TPoint{p.X + 20, p.Y});
  Release(TPoint{p.X + 20, p.Y});
  EXPECT_EQ(zoom->Position(), 200);
}

}  // namespace
}  // namespace qd::testing

namespace qd::testing {
namespace {

// An owner (the image editor) calculates and paints a zoom bar without a control of its own.
TEST_F(ZoomTrackBar, AnOwnerDrawsAStandAloneTransparentBar) {
  TdxCustomZoomTrackBarProperties properties(nullptr);
  TdxCustomZoomTrackBarViewInfo viewInfo;
  viewInfo.SetPosition(250);
  viewInfo.Transparent = true;
  std::unique_ptr<TcxCustomEditViewData> viewData(properties.CreateViewData(zoom->Style(), false));
  TcxBitmap32 picture(TRect{0, 0, 260, 100}, true);
  TcxCanvas* canvas = picture.cxCanvas();
  canvas->FillRect(TRect{0, 0, 260, 100}, clRed);
  // Calculated at the origin, then placed where the owner shows it.
  viewData->Calculate(canvas, TRect{0, 0, 218, 40}, cxInvalidPoint, cxmbNone, {}, &viewInfo, false);
  viewInfo.Bounds = TRect{20, 30, 238, 70};
  // With the change buttons (on by default) 100 still sits in the middle of the track.
  EXPECT_TRUE(viewInfo.ShowChangeButtons);
  EXPECT_EQ(viewInfo.GetCoordinate(100), viewInfo.TrackRect.Left + viewInfo.TrackRect.Width() / 2);
  viewInfo.Paint(canvas);
  auto rgb = [&](int X, int Y) { return static_cast<uint32_t>(ColorToRGB(canvas->Canvas()->Pixels(X, Y))); };
  EXPECT_EQ(rgb(21, 31), ColorToRGB(clRed)) << "the owner's picture shows around the bar";
  EXPECT_EQ(rgb(10, 10), ColorToRGB(clRed)) << "nothing outside the bounds";
  const TRect thumb = viewInfo.RealThumbBounds(viewInfo.GetThumb(0));
  const TPoint centre{(thumb.Left + thumb.Right) / 2, (thumb.Top + thumb.Bottom) / 2};
  EXPECT_NE(rgb(20 + centre.X, 30 + centre.Y), ColorToRGB(clRed)) << "the thumb at the bounds";
  // Points for hit tests are bar-relative.
  EXPECT_EQ(viewInfo.GetThumbFromPos(centre), viewInfo.GetThumb(0));
  EXPECT_EQ(viewInfo.GetPositionAfterJump(viewInfo.GetCoordinate(100), centre.Y), 100);
  EXPECT_EQ(viewInfo.Position(), 250);

  // A plain track bar's bounds assigned to zoom settings keep the centre inside.
  TcxTrackBarProperties plain(nullptr);
  plain.SetMax(50);
  properties.Assign(&plain);
  EXPECT_EQ(properties.Min(), 0);
  EXPECT_EQ(properties.Max(), 100);
}

}  // namespace
}  // namespace qd::testing
