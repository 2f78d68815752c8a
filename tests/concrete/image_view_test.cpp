// The image editor on screen: where each fit mode and zoom puts the picture, the caption
// without a picture, the focus frame and the zoom bar over the picture, read back by pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "concrete/image_test_util.h"
#include "platform/os/user_display.h"

namespace qd::testing {
namespace {

constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

class ImageView : public ImageTest {
 protected:
  void SetUp() override {
    ImageTest::SetUp();
    image->Style()->SetBorderStyle(cbsNone);
    image->Style()->SetTransparentBorder(false);
    image->Style()->SetColor(clWhite);
    image->Style()->LookAndFeel()->SetNativeStyle(false);
    image->Properties()->SetShowFocusRect(false);
    // 40 x 20: the left half red, the right half blue.
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(40, 20);
    bitmap.Canvas()->Brush()->SetColor(clRed);
    bitmap.Canvas()->FillRect(TRect{0, 0, 20, 20});
    bitmap.Canvas()->Brush()->SetColor(clBlue);
    bitmap.Canvas()->FillRect(TRect{20, 0, 40, 20});
    image->Picture()->SetGraphic(&bitmap);
    form->Show();
    Application->ProcessMessages();
  }
  void Repaint() {
    image->Invalidate();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    pixels = os::ReadWindowPixels(form->Handle(), true);
  }
  // The colour at a point of the image editor's client area.
  uint32_t At(int X, int Y) const { return pixels.At(10 + X, 10 + Y) & 0xFFFFFF; }
  static uint32_t ExpectedRgb(TColor AColor) {
    const COLORREF c = ColorToRGB(AColor);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
  }

  os::WindowPixels pixels;
};

TEST_F(ImageView, FitModesPlaceThePicture) {
  struct Probe {
    int x, y;
    uint32_t colour;
  };
  struct Row {
    const char* name;
    TcxImageFitMode mode;
    int zoom;
    std::vector<Probe> probes;
  };
  const Row rows[] = {
      // The client area is (1, 1) - (139, 99). Centred at its own size: (50, 40) - (90, 60).
      {"normal", ifmNormal, 100, {{51, 41, kRed}, {88, 58, kBlue}, {48, 50, kWhite}, {70, 38, kWhite}}},
      // Twice the size, centred: (30, 30) - (110, 70).
      {"normal 200 %",
       ifmNormal,
       200,
       {{31, 31, kRed}, {108, 68, kBlue}, {28, 50, kWhite}, {70, 72, kWhite}}},
      // Stretched over the whole client area.
      {"stretch", ifmStretch, 100, {{3, 3, kRed}, {136, 96, kBlue}, {68, 50, kRed}, {72, 50, kBlue}}},
      // Enlarged to the width, centred vertically: (1, 15) - (139, 84).
      {"proportional stretch",
       ifmProportionalStretch,
       100,
       {{3, 17, kRed}, {136, 82, kBlue}, {70, 12, kWhite}, {70, 88, kWhite}}},
      // Smaller than the client area: kept at its size, centred.
      {"fit", ifmFit, 100, {{51, 41, kRed}, {88, 58, kBlue}, {48, 50, kWhite}}},
      // The zoom does not apply to fitting modes.
      {"stretch ignores zoom", ifmStretch, 300, {{3, 3, kRed}, {136, 96, kBlue}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    image->Properties()->SetFitMode(row.mode);
    image->ZoomingOptions()->SetZoomPercent(row.zoom);
    Repaint();
    SaveWindowPng(form->Handle(), std::string("image_fit_") + row.name);
    for (const Probe& p : row.probes) EXPECT_EQ(At(p.x, p.y), p.colour) << p.x << "," << p.y;
  }
}

TEST_F(ImageView, CaptionWithoutAPicture) {
  image->Properties()->SetCaption(u"No picture");
  image->Style()->SetTextColor(clBlack);
  image->Picture()->SetGraphic(nullptr);
  Repaint();
  // Dark text pixels near the middle row, none near the top.
  int middle = 0, top = 0;
  for (int x = 5; x < 135; ++x) {
    for (int y = 40; y < 60; ++y) middle += At(x, y) != kWhite;
    for (int y = 5; y < 20; ++y) top += At(x, y) != kWhite;
  }
  EXPECT_GT(middle, 20);
  EXPECT_EQ(top, 0);
}

// The zoom bar over a picture that fills the client area: the pointer over the editor shows
// it, transparent, with its thumb on the zoom and its change buttons at the ends.
class ImageZoomBar : public ImageView {
 protected:
  void SetUp() override {
    ImageView::SetUp();
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(138, 98);
    bitmap.Canvas()->Brush()->SetColor(clRed);
    bitmap.Canvas()->FillRect(TRect{0, 0, 138, 98});
    image->Picture()->SetGraphic(&bitmap);
    image->Properties()->SetFitMode(ifmNormal);
    image->ZoomingOptions()->SetShowZoomTrackBar(true);
    // The pointer really is over the editor, so mouse tracking keeps it "inside".
    Move(TPoint{70, 20});
  }
  TdxCustomZoomTrackBarViewInfo* Bar() { return image->ViewInfo()->ZoomTrackBarViewInfo(); }
  // The centre of a rectangle of the bar's own frame, in the editor's client coordinates.
  TPoint OnBar(const TRect& R) {
    const TRect r = Bar()->RealRect(R);
    return TPoint{Bar()->Bounds.Left + (r.Left + r.Right) / 2, Bar()->Bounds.Top + (r.Top + r.Bottom) / 2};
  }
  TPoint ThumbCentre() { return OnBar(Bar()->VisibleThumbRect); }
  // A point on the track at a coordinate of the bar's frame.
  TPoint OnTrack(int32_t AX) { return TPoint{Bar()->Bounds.Left + AX, ThumbCentre().Y}; }
  // Input through the real input queue, so the button state is what the user holds.
  void Move(const TPoint& P) {
    const TPoint screen = image->ClientToScreen(P);
    os::InjectMouseMove(POINT{screen.X, screen.Y});
    Application->ProcessMessages();
  }
  void Press(const TPoint& P) {
    Move(P);
    const TPoint screen = image->ClientToScreen(P);
    os::InjectMouseButton(WM_LBUTTONDOWN, POINT{screen.X, screen.Y});
    Application->ProcessMessages();
  }
  void Release(const TPoint& P) {
    const TPoint screen = image->ClientToScreen(P);
    os::InjectMouseButton(WM_LBUTTONUP, POINT{screen.X, screen.Y});
    Application->ProcessMessages();
  }
  int32_t Zoom() { return image->ZoomingOptions()->ZoomPercent(); }
};

TEST_F(ImageZoomBar, ShowsOverThePictureWhileThePointerIsOver) {
  Repaint();
  SaveWindowPng(form->Handle(), "image_zoom_bar");
  // At most 200 wide, centred, 30 high, at 7/8 of the height or 40 above the bottom.
  const TRect client = image->ViewInfo()->ClientRect;
  const TRect bar = Bar()->Bounds;
  EXPECT_EQ(bar.Width(), std::min(200, client.Width()));
  EXPECT_EQ(bar.Left - client.Left, (client.Width() - bar.Width()) / 2);
  EXPECT_EQ(bar.Height(), 30);
  EXPECT_EQ(bar.Top - client.Top,
            std::min(static_cast<int>(std::nearbyint(client.Height() * 0.875)), client.Height() - 40));
  // The zoom track bar's own layout: 100 % in the middle of the track, between the buttons.
  EXPECT_EQ(Bar()->Position(), 100);
  EXPECT_TRUE(Bar()->ShowChangeButtons);
  EXPECT_EQ(ThumbCentre().X - bar.Left, Bar()->TrackRect.Left + Bar()->TrackRect.Width() / 2);
  EXPECT_LT(Bar()->LeftButtonRect.Right, Bar()->TrackRect.Left);
  EXPECT_GT(Bar()->RightButtonRect.Left, Bar()->TrackRect.Right);

  const uint32_t face = ExpectedRgb(clBtnFace);
  EXPECT_EQ(At(ThumbCentre().X, ThumbCentre().Y), face) << "the thumb";
  EXPECT_NE(At(OnBar(Bar()->LeftButtonRect).X, OnBar(Bar()->LeftButtonRect).Y), kRed) << "zoom out";
  EXPECT_NE(At(OnBar(Bar()->RightButtonRect).X, OnBar(Bar()->RightButtonRect).Y), kRed) << "zoom in";
  // The centre mark below the thumb shows though the ticks are off.
  EXPECT_NE(At(ThumbCentre().X, bar.Top + Bar()->ThumbRect.Bottom + 3), kRed);
  // The picture shows through the bar's empty parts and above it.
  EXPECT_EQ(At(bar.Left + 1, bar.Top + 1), kRed);
  EXPECT_EQ(At(ThumbCentre().X, bar.Top - 3), kRed);

  // Switched off, the next move hides the bar.
  image->ZoomingOptions()->SetShowZoomTrackBar(false);
  Move(TPoint{70, 21});
  Repaint();
  EXPECT_EQ(At(ThumbCentre().X, ThumbCentre().Y), kRed);
}

TEST_F(ImageZoomBar, TheBarAndTheZoomFollowEachOther) {
  image->ZoomingOptions()->SetMinZoom(10);
  // The zoom moves the thumb.
  image->ZoomingOptions()->SetZoomPercent(300);
  EXPECT_EQ(Bar()->Position(), 300);
  EXPECT_EQ(ThumbCentre().X - Bar()->Bounds.Left, Bar()->GetCoordinate(300));
  image->InternalMouseWheel(TShiftState{ssCtrl}, 120, TPoint{5, 5});
  EXPECT_EQ(Bar()->Position(), 340);

  // A press on the track jumps to the zoom under the pointer: the exact centre is 100 %, the
  // left end the minimum.
  const TRect track = Bar()->TrackRect;
  Press(OnTrack(track.Left + track.Width() / 2));
  Release(OnTrack(track.Left + track.Width() / 2));
  EXPECT_EQ(Zoom(), 100);
  Press(OnTrack(track.Left + Bar()->VisibleThumbRect.Width() / 2));
  Release(OnTrack(track.Left + Bar()->VisibleThumbRect.Width() / 2));
  EXPECT_EQ(Zoom(), 10);

  // Dragging the thumb from 100 on the right half's scale; coming back near the centre snaps.
  image->ZoomingOptions()->SetZoomPercent(100);
  const TPoint start = ThumbCentre();
  Press(start);
  Move(TPoint{start.X + 30, start.Y});
  EXPECT_EQ(Zoom(), 100 + static_cast<int>(std::nearbyint(30 / Bar()->PixelsPerPositionSecondRange)));
  EXPECT_EQ(Bar()->Position(), Zoom());
  Move(TPoint{start.X + 3, start.Y});
  EXPECT_EQ(Zoom(), 100);
  // Past the end of the track the zoom stays at its maximum.
  Move(TPoint{start.X + 60, start.Y});
  EXPECT_EQ(Zoom(), 500);
  Release(TPoint{start.X + 60, start.Y});
  EXPECT_FALSE(Bar()->MouseStates.Contains(tbmpSliding));
  Move(TPoint{start.X - 20, start.Y});
  EXPECT_EQ(Zoom(), 500) << "no sliding after the release";
}

// On a screen of 144 DPI the bar and its parts are half as large again.
TEST_F(ImageZoomBar, TheBarScalesWithTheEditor) {
  const TRect bar = Bar()->Bounds;
  const int32_t zone = Bar()->TrackZoneRect.Height(), thumb = Bar()->ThumbLargeSize;
  image->SetBounds(10, 10, 280, 160);
  image->ScaleForPPI(144);
  Move(TPoint{70, 20});
  EXPECT_EQ(Bar()->Bounds.Height(), bar.Height() * 3 / 2);
  EXPECT_EQ(Bar()->Bounds.Width(), std::min(300, image->ViewInfo()->ClientRect.Width()));
  // Tick bands and the zone's cap round on their own, so the parts grow about half.
  EXPECT_GE(Bar()->TrackZoneRect.Height(), zone * 3 / 2 - 1);
  EXPECT_LE(Bar()->TrackZoneRect.Height(), zone * 3 / 2 + 2);
  EXPECT_GE(Bar()->ThumbLargeSize, thumb * 3 / 2 - 2);
  EXPECT_LE(Bar()->ThumbLargeSize, thumb * 3 / 2 + 4);
  EXPECT_EQ(ThumbCentre().X - Bar()->Bounds.Left, Bar()->TrackRect.Left + Bar()->TrackRect.Width() / 2);
}

// Right to left the bar runs from right to left: higher zooms lie to the left and the button
// on the right zooms out.
TEST_F(ImageZoomBar, RightToLeftTheBarRunsTheOtherWay) {
  image->SetBiDiMode(bdRightToLeft);
  image->ZoomingOptions()->SetZoomPercent(300);
  Move(TPoint{70, 21});
  EXPECT_TRUE(Bar()->ReverseDirection);
  EXPECT_LT(ThumbCentre().X - Bar()->Bounds.Left, Bar()->TrackRect.Left + Bar()->TrackRect.Width() / 2);
  const TPoint right = OnBar(Bar()->RightButtonRect);
  Press(right);
  Release(right);
  EXPECT_EQ(Zoom(), 260);
}

// A press on a change button steps once, repeats while held and stops on the release, also
// when no drag position was recorded before the press.
TEST_F(ImageZoomBar, AHeldChangeButtonRepeatsUntilReleased) {
  const TPoint zoomIn = OnBar(Bar()->RightButtonRect);
  Press(zoomIn);
  EXPECT_EQ(Zoom(), 140);
  Run(400);
  EXPECT_EQ(Zoom(), 180);
  Run(60);
  EXPECT_EQ(Zoom(), 220);
  Release(zoomIn);
  EXPECT_EQ(image->ZoomTrackBarController()->RepeatTimer(), nullptr);
  Run(1000);
  EXPECT_EQ(Zoom(), 220);
  const TPoint zoomOut = OnBar(Bar()->LeftButtonRect);
  image->ZoomingOptions()->SetZoomPercent(100);
  Press(zoomOut);
  Release(zoomOut);
  Run(1000);
  EXPECT_EQ(Zoom(), 90);
}

// A picture larger than the editor, not centred and zoomed: the zoom keeps the point at the
// middle of the client area in place, and a drag moves the picture with the pointer.
TEST_F(ImageView, ZoomKeepsTheMiddleAndDragPans) {
  TBitmap big;
  big.SetPixelFormat(pf24bit);
  big.SetSize(400, 300);
  image->Picture()->SetGraphic(&big);
  image->Properties()->SetFitMode(ifmNormal);
  image->Properties()->SetCenter(false);
  ASSERT_TRUE(image->IsScrollbarsNeeded());
  EXPECT_EQ(image->GetLeftPos(), 0);
  EXPECT_EQ(image->GetTopPos(), 0);
  const TSize client = TdxScrollHelper::GetClientSize(image);
  image->ZoomingOptions()->SetZoomPercent(200);
  EXPECT_EQ(image->GetLeftPos(), static_cast<int>(std::nearbyint(client.cx / 2.0 * 2 - client.cx / 2.0)));
  EXPECT_EQ(image->GetTopPos(), static_cast<int>(std::nearbyint(client.cy / 2.0 * 2 - client.cy / 2.0)));
  EXPECT_EQ(image->GetContentSize(), (TSize{800, 600}));

  // Dragging (with the zoom bar in use) moves the picture along with the pointer.
  image->ZoomingOptions()->SetShowZoomTrackBar(true);
  SetCursorPos(100 + 10 + 50, 100 + 10 + 20);
  SendMessageW(image->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 20));
  const int left = image->GetLeftPos(), top = image->GetTopPos();
  SendMessageW(image->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 20));
  SendMessageW(image->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 10));
  SendMessageW(image->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(30, 10));
  EXPECT_EQ(image->GetLeftPos(), left + 20);
  EXPECT_EQ(image->GetTopPos(), top + 10);

  // Back to 100 %: the middle stays the middle, within the picture.
  image->ZoomingOptions()->SetZoomPercent(100);
  EXPECT_GE(image->GetLeftPos(), 0);
  EXPECT_LE(image->GetLeftPos(), 400 - client.cx);
}

// Focus leaving the editor while a change button is held (another window took it, so the
// release goes elsewhere) stops the repeat instead of zooming on to the limit.
TEST_F(ImageZoomBar, AFocusChangeStopsTheRepeat) {
  image->SetFocus();
  Application->ProcessMessages();
  const TPoint zoomIn = OnBar(Bar()->RightButtonRect);
  Press(zoomIn);
  EXPECT_EQ(Zoom(), 140);
  SetFocus(form->Handle());
  Application->ProcessMessages();
  Run(1000);
  EXPECT_EQ(Zoom(), 140);
  EXPECT_EQ(image->ZoomTrackBarController()->RepeatTimer(), nullptr);
  Release(zoomIn);
}

}  // namespace
}  // namespace qd::testing
