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

TEST_F(ImageView, ZoomBarShowsWhenThePointerIsOver) {
  image->Properties()->SetFitMode(ifmNormal);
  image->ZoomingOptions()->SetShowZoomTrackBar(true);
  // The pointer really is over the editor, so mouse tracking keeps it "inside".
  SetCursorPos(100 + 10 + 70, 100 + 10 + 20);
  SendMessageW(image->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(70, 20));
  Repaint();
  SaveWindowPng(form->Handle(), "image_zoom_bar");
  // The bar: at most 200 wide, centred, 30 high, at 7/8 of the height or 40 above the bottom.
  const TRect client = image->ViewInfo()->ClientRect;
  const TRect bar = image->ViewInfo()->ZoomTrackBarViewInfo()->Bounds;
  EXPECT_EQ(bar.Width(), std::min(200, client.Width()));
  EXPECT_EQ(bar.Left - client.Left, (client.Width() - bar.Width()) / 2);
  EXPECT_EQ(bar.Height(), 30);
  EXPECT_EQ(bar.Top - client.Top,
            std::min(static_cast<int>(std::nearbyint(client.Height() * 0.875)), client.Height() - 40));
  // At 100 % the thumb sits in the middle of the track, framed black; the track runs left
  // of it and nothing is drawn above it.
  const int cx = bar.Left + bar.Width() / 2, cy = bar.Top + 15;
  EXPECT_EQ(At(cx - 5, cy), 0x000000u);
  EXPECT_EQ(At(cx + 4, cy), 0x000000u);
  EXPECT_NE(At(bar.Left + 12, cy), kWhite);
  EXPECT_EQ(At(bar.Left + 12, bar.Top + 2), kWhite);

  // A press on the bar's right end zooms to the maximum.
  SendMessageW(image->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bar.Right - 2, cy));
  SendMessageW(image->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(bar.Right - 2, cy));
  EXPECT_EQ(image->ZoomingOptions()->ZoomPercent(), 500);

  // Off the control the bar goes.
  SendMessageW(image->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(70, 20));
  image->ZoomingOptions()->SetShowZoomTrackBar(false);
  SendMessageW(image->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(70, 21));
  image->ZoomingOptions()->SetZoomPercent(100);
  Repaint();
  EXPECT_EQ(At(bar.Left + 12, cy), kWhite);
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

}  // namespace
}  // namespace qd::testing
