// The progress bar's pixels: the fill of each bar style, LEDs, overload and peak, vertical and
// right-to-left bars, the caption, a native bar, and bars whose values lie outside the range.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "concrete/progress_bar_test_util.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd::testing {
namespace {

class ProgressBarPaint : public ProgressBarTest {
 protected:
  void SetUp() override {
    ProgressBarTest::SetUp();
    // The fills are read where a caption would lie.
    Props()->SetShowText(false);
  }
  void Show(double APosition) {
    bar->SetPosition(APosition);
    Repaint();
  }
  // The fill's end for a position of the default 0..100 range.
  int FillEnd(double APosition) {
    return Content().Left + static_cast<int>(APosition * Content().Width() / 100);
  }
  int MidY() { return (Content().Top + Content().Bottom) / 2; }
  uint32_t Background() { return ExpectedRgb(Info()->BackgroundColor()); }
  static bool Near(uint32_t A, uint32_t B, int ATolerance) {
    for (int shift = 0; shift < 24; shift += 8)
      if (std::abs(static_cast<int>((A >> shift) & 0xFF) - static_cast<int>((B >> shift) & 0xFF)) >
          ATolerance)
        return false;
    return true;
  }
};

TEST_F(ProgressBarPaint, SolidFillEndsAtThePosition) {
  struct Case {
    double position;
  } cases[] = {{0}, {25}, {50}, {99.5}, {100}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    Show(c.position);
    const int end = FillEnd(c.position);
    if (end > Content().Left) {
      EXPECT_EQ(Rgb(Content().Left, MidY()), ExpectedRgb(static_cast<TColor>(0x800000)));
      EXPECT_EQ(Rgb(end - 1, MidY()), ExpectedRgb(static_cast<TColor>(0x800000)));
    }
    if (end < Content().Right) EXPECT_EQ(Rgb(end, MidY()), Background());
  }
}

TEST_F(ProgressBarPaint, GradientRunsFromBeginToEndColourOverTheWholeBar) {
  Props()->SetBarStyle(cxbsGradient);
  Props()->SetBeginColor(clBlue);
  Props()->SetEndColor(clRed);
  Show(100);
  EXPECT_TRUE(Near(Rgb(Content().Left, MidY()), 0x0000FF, 8));
  EXPECT_TRUE(Near(Rgb(Content().Right - 1, MidY()), 0xFF0000, 8));
  // Half a bar shows the first half of the same gradient, not a squeezed one.
  const uint32_t middle = Rgb(FillEnd(50) - 1, MidY());
  Show(50);
  EXPECT_EQ(Rgb(FillEnd(50) - 1, MidY()), middle);
  EXPECT_TRUE(Near(middle, 0x800080, 12));
  EXPECT_EQ(Rgb(FillEnd(50), MidY()), Background());
}

TEST_F(ProgressBarPaint, LEDsLeaveTwoPixelGaps) {
  Props()->SetBarStyle(cxbsLEDs);
  Show(100);
  const int w = Content().Height() * 2 / 3 + 2;
  const uint32_t fill = ExpectedRgb(static_cast<TColor>(0x800000));
  for (int i = 1; i <= Content().Width() / w; ++i) {
    SCOPED_TRACE(i);
    const int gap = Content().Left + i * w;
    EXPECT_EQ(Rgb(gap - 3, MidY()), fill);
    EXPECT_EQ(Rgb(gap - 2, MidY()), Background());
    EXPECT_EQ(Rgb(gap - 1, MidY()), Background());
    if (gap < Content().Right) EXPECT_EQ(Rgb(gap, MidY()), fill);
  }
}

TEST_F(ProgressBarPaint, OverloadZoneInItsOwnColour) {
  Props()->SetShowOverload(true);
  Props()->SetOverloadValue(80);
  Props()->SetOverloadBeginColor(clRed);
  const uint32_t normal = ExpectedRgb(static_cast<TColor>(0x800000));
  Show(70);
  EXPECT_EQ(Rgb(FillEnd(70) - 1, MidY()), normal);
  Show(95);
  EXPECT_EQ(Rgb(FillEnd(80) - 1, MidY()), normal);
  EXPECT_EQ(Rgb(FillEnd(80) + 1, MidY()), 0xFF0000u);
  EXPECT_EQ(Rgb(FillEnd(95) - 1, MidY()), 0xFF0000u);
  EXPECT_EQ(Rgb(FillEnd(95) + 1, MidY()), Background());
}

TEST_F(ProgressBarPaint, PeakMarkerStaysAtTheHighestPosition) {
  Props()->SetShowPeak(true);
  Props()->SetPeakColor(clLime);
  Show(70);
  Show(40);
  const int peak = FillEnd(70);
  EXPECT_EQ(Rgb(peak, MidY()), 0x00FF00u);
  EXPECT_EQ(Rgb(peak + 1, MidY()), 0x00FF00u);
  EXPECT_EQ(Rgb(peak + 2, MidY()), Background());
  EXPECT_EQ(Rgb(FillEnd(55), MidY()), Background());
  // At the end of the bar the marker stays inside it.
  Show(100);
  EXPECT_EQ(Rgb(Content().Right - 1, MidY()), 0x00FF00u);
  EXPECT_EQ(Rgb(Content().Right - 2, MidY()), 0x00FF00u);
  EXPECT_EQ(Rgb(Content().Right - 3, MidY()), ExpectedRgb(static_cast<TColor>(0x800000)));
}

TEST_F(ProgressBarPaint, VerticalBarFillsFromTheBottom) {
  bar->SetBounds(kLeft, kTop, 30, 100);
  Props()->SetOrientation(cxorVertical);
  Show(25);
  const TRect c = Content();
  const int top = c.Bottom - static_cast<int>(25.0 * c.Height() / 100);
  const int x = (c.Left + c.Right) / 2;
  EXPECT_EQ(Rgb(x, c.Bottom - 1), ExpectedRgb(static_cast<TColor>(0x800000)));
  EXPECT_EQ(Rgb(x, top), ExpectedRgb(static_cast<TColor>(0x800000)));
  EXPECT_EQ(Rgb(x, top - 1), Background());
  EXPECT_EQ(Rgb(x, c.Top), Background());
}

TEST_F(ProgressBarPaint, RightToLeftBarFillsFromTheRight) {
  bar->SetBiDiMode(bdRightToLeft);
  Show(30);
  const TRect c = Content();
  const int length = static_cast<int>(30.0 * c.Width() / 100);
  EXPECT_EQ(Rgb(c.Right - 1, MidY()), ExpectedRgb(static_cast<TColor>(0x800000)));
  EXPECT_EQ(Rgb(c.Right - length, MidY()), ExpectedRgb(static_cast<TColor>(0x800000)));
  EXPECT_EQ(Rgb(c.Right - length - 1, MidY()), Background());
  EXPECT_EQ(Rgb(c.Left, MidY()), Background());
}

TEST_F(ProgressBarPaint, SolidCaptionIsDrawnInOneColourOverBothParts) {
  Props()->SetShowText(true);
  Props()->SetSolidTextColor(true);
  Props()->SetBeginColor(clWhite);
  bar->Style()->SetTextColor(clRed);
  Show(50);
  // The caption "50 %" straddles the fill's end: red text pixels on both sides (smoothed
  // edges blend into the ground, so reddish counts).
  const int end = FillEnd(50);
  const os::WindowPixels pixels = os::ReadWindowPixels(form->Handle(), true);
  int left = 0, right = 0;
  for (int y = Content().Top; y < Content().Bottom; ++y)
    for (int x = Content().Left; x < Content().Right; ++x) {
      const uint32_t p = pixels.At(kLeft + x, kTop + y) & 0xFFFFFF;
      if ((p >> 16) > 0xC0 && ((p >> 8) & 0xFF) < 0x60 && (p & 0xFF) < 0x60) ++(x < end ? left : right);
    }
  EXPECT_GT(left, 5);
  EXPECT_GT(right, 5);
}

TEST_F(ProgressBarPaint, NativeBarUsesTheThemedPartsAndNoOverload) {
  SetLook(true);
  Props()->SetShowOverload(true);
  Show(90);
  EXPECT_TRUE(Info()->FNativeBar);
  EXPECT_FALSE(Info()->FRealShowOverload);
  // The fill in the themed chunk's colour up to the position, the themed track beyond.
  const TRect p = Info()->ProgressBarRect;
  const uint32_t chunk = Rgb(p.Left + 2, (p.Top + p.Bottom) / 2);
  EXPECT_EQ(Rgb(p.Right - 1, (p.Top + p.Bottom) / 2), chunk);
  EXPECT_NE(Rgb(p.Right + 2, (p.Top + p.Bottom) / 2), chunk);
  EXPECT_NE(chunk, Background());
}

TEST_F(ProgressBarPaint, TransparentBarShowsItsParentBehindTheEmptyPart) {
  form->SetColor(clYellow);
  bar->Style()->SetColor(clAqua);
  bar->SetTransparent(true);
  Show(40);
  EXPECT_EQ(Rgb(FillEnd(40) - 1, MidY()), ExpectedRgb(static_cast<TColor>(0x800000)));
  EXPECT_EQ(Rgb(FillEnd(40) + 5, MidY()), 0xFFFF00u);
  EXPECT_EQ(Rgb(Content().Right - 1, MidY()), 0xFFFF00u);
}

// Positions outside the range are stored as they are while Max <= Min: the fill is computed
// without overflowing and stays within the bar.
TEST_F(ProgressBarPaint, UnclampedPositionsFillAtMostTheWholeBar) {
  Props()->SetMax(0);
  struct Case {
    double position;
    bool full;
  } cases[] = {{1e12, true}, {3e9, true}, {-1e12, false}, {-5, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    Show(c.position);
    const TRect p = Info()->ProgressBarRect;
    EXPECT_LE(p.Right, Content().Right);
    EXPECT_GE(p.Right, Content().Left);
    const uint32_t fill = ExpectedRgb(static_cast<TColor>(0x800000));
    EXPECT_EQ(Rgb(Content().Right - 1, MidY()) == fill, c.full);
    EXPECT_EQ(Rgb(Content().Left, MidY()) == fill, c.full);
  }
}

TEST_F(ProgressBarPaint, BitmapLEDsWithANarrowImageStillDraw) {
  TBitmap image;
  image.SetPixelFormat(pf24bit);
  image.SetSize(1, 1);
  image.Canvas()->SetPixels(0, 0, clRed);
  Props()->SetTransparentImage(false);
  Props()->SetForegroundImage(&image);
  Props()->SetBarStyle(cxbsBitmapLEDs);
  Show(100);
  // LEDs of the smallest width, 3: one red column, then a two-pixel gap.
  EXPECT_EQ(Rgb(Content().Left, MidY()), 0xFF0000u);
  EXPECT_EQ(Rgb(Content().Left + 1, MidY()), Background());
  EXPECT_EQ(Rgb(Content().Left + 3, MidY()), 0xFF0000u);
}

TEST_F(ProgressBarPaint, BitmapFillTilesTheImage) {
  TBitmap image;
  image.SetPixelFormat(pf24bit);
  image.SetSize(2, 1);
  image.Canvas()->SetPixels(0, 0, clRed);
  image.Canvas()->SetPixels(1, 0, clLime);
  Props()->SetTransparentImage(false);
  Props()->SetForegroundImage(&image);
  Props()->SetBarStyle(cxbsBitmap);
  Show(50);
  const int left = Content().Left;
  const uint32_t first = Rgb(left, MidY());
  EXPECT_TRUE(first == 0xFF0000u || first == 0x00FF00u);
  EXPECT_NE(Rgb(left + 1, MidY()), first);
  EXPECT_EQ(Rgb(left + 2, MidY()), first);
  EXPECT_EQ(Rgb(FillEnd(50), MidY()), Background());
}

// A repaint whose position and rectangles did not change still shows the bar (an uncovered
// window part must not stay blank).
TEST_F(ProgressBarPaint, RepaintWithoutChangeShowsTheCachedBar) {
  Show(60);
  Props()->SetIsPositionChanged(true);
  bar->CalculateViewInfo(false);
  ASSERT_FALSE(Info()->FIsBoundsChanged);
  InvalidateRect(bar->Handle(), nullptr, TRUE);
  UpdateWindow(bar->Handle());
  EXPECT_EQ(Rgb(FillEnd(60) - 1, MidY()), ExpectedRgb(static_cast<TColor>(0x800000)));
  EXPECT_EQ(Rgb(FillEnd(60), MidY()), Background());
}

// A grid cell draws the bar without a control: the view data turns the cell's value into the
// position (30 in a preview) and the view info paints it onto the cell's canvas.
TEST_F(ProgressBarPaint, InPlaceBarDrawsWithoutAControl) {
  TcxProgressBarProperties properties(nullptr);
  properties.SetShowText(false);
  properties.SetBeginColor(clRed);
  std::unique_ptr<TcxCustomEditViewData> data(properties.CreateViewData(bar->Style(), true, true));
  TcxCustomProgressBarViewInfo info;
  data->EditValueToDrawValue(Variant(70.0), &info);
  EXPECT_DOUBLE_EQ(info.FPosition, 30);
  data->PreviewMode = false;
  data->EditValueToDrawValue(Variant(String(u"140")), &info);
  EXPECT_DOUBLE_EQ(info.FPosition, 100);
  data->EditValueToDrawValue(Variant(40.0), &info);

  TcxBitmap32 cell(100, 20, true);
  TcxCanvas* canvas = cell.cxCanvas();
  canvas->FillRect(TRect{0, 0, 100, 20}, clBlue);
  data->Calculate(canvas, TRect{0, 0, 100, 20}, cxInvalidPoint, cxmbNone, TShiftState{}, &info, false);
  info.Paint(canvas);
  EXPECT_FALSE(info.AnimationTimerRunning());
  auto at = [&](int X) {
    return static_cast<uint32_t>(ColorToRGB(static_cast<TColor>(GetPixel(canvas->Handle(), X, 10))));
  };
  EXPECT_EQ(at(0), static_cast<uint32_t>(ColorToRGB(clRed)));
  EXPECT_EQ(at(39), static_cast<uint32_t>(ColorToRGB(clRed)));
  EXPECT_EQ(at(40), static_cast<uint32_t>(ColorToRGB(info.BackgroundColor())));
  EXPECT_NE(at(40), static_cast<uint32_t>(ColorToRGB(clBlue)));
}

// A skin painter that paints its border grey and its chunk green and records the rectangles.
class TRecordingSkinPainter : public TcxCustomLookAndFeelPainter {
 public:
  String LookAndFeelName() override { return u"RecordingSkin"; }
  TcxLookAndFeelStyle LookAndFeelStyle() override { return lfsSkin; }
  TRect ProgressBarBorderSize(bool) override { return TRect{2, 2, 2, 2}; }
  void DrawProgressBarBorder(TcxCanvas* ACanvas, const TRect& R, bool) override {
    Border = R;
    ACanvas->FillRect(R, clGray);
  }
  void DrawProgressBarChunk(TcxCanvas* ACanvas, const TRect& R, bool AVertical) override {
    Chunk = R;
    Vertical = AVertical;
    ACanvas->FillRect(R, clLime);
  }
  TRect Border, Chunk;
  bool Vertical = false;
};

class ProgressBarSkin : public ProgressBarPaint {
 protected:
  void SetUp() override {
    ProgressBarPaint::SetUp();
    auto painter = std::make_unique<TRecordingSkinPainter>();
    skin = painter.get();
    ASSERT_TRUE(cxLookAndFeelPaintersManager()->Register(std::move(painter)));
    bar->Style()->LookAndFeel()->SetSkinName(u"RecordingSkin");
    bar->Style()->LookAndFeel()->SetNativeStyle(false);
  }
  TRecordingSkinPainter* skin = nullptr;
};

TEST_F(ProgressBarSkin, PainterDrawsBorderAndTheChunkShareOfTheContent) {
  struct Case {
    TcxProgressBarOrientation orientation;
    double position;
  } cases[] = {{cxorHorizontal, 25}, {cxorHorizontal, 100}, {cxorVertical, 25}, {cxorVertical, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    if (c.orientation == cxorVertical) bar->SetBounds(kLeft, kTop, 30, 100);
    Props()->SetOrientation(c.orientation);
    Show(c.position);
    ASSERT_TRUE(Info()->UseSkins);
    const TRect content = cxRectInflate(skin->Border, -2);
    EXPECT_EQ(skin->Border, Info()->BarRect);
    if (c.position == 0) continue;
    EXPECT_EQ(skin->Vertical, c.orientation == cxorVertical);
    TRect expected = content;
    if (c.orientation == cxorVertical)
      expected.Top += static_cast<int>(content.Height() * (1 - c.position / 100));
    else
      expected.Right = expected.Left + static_cast<int>(c.position / 100 * content.Width());
    EXPECT_EQ(skin->Chunk, expected);
    // On screen: the chunk in the painter's colour, the rest of the content in the border's.
    const int y = c.orientation == cxorVertical ? expected.Top : (content.Top + content.Bottom) / 2;
    EXPECT_EQ(Rgb(expected.Left, y), 0x00FF00u);
    if (c.orientation == cxorVertical)
      EXPECT_EQ(Rgb(expected.Left, expected.Top - 1), ExpectedRgb(clGray));
    else if (expected.Right < content.Right)
      EXPECT_EQ(Rgb(expected.Right, y), ExpectedRgb(clGray));
  }
}

TEST_F(ProgressBarSkin, OverloadPartOfTheChunkIsInverted) {
  Props()->SetShowOverload(true);
  Props()->SetOverloadValue(50);
  Show(75);
  const TRect content = cxRectInflate(skin->Border, -2);
  const int y = (content.Top + content.Bottom) / 2;
  const int overload = content.Left + content.Width() / 2;
  EXPECT_EQ(Rgb(overload - 1, y), 0x00FF00u);
  EXPECT_EQ(Rgb(overload + 1, y), 0xFF00FFu);  // lime inverted
}

}  // namespace
}  // namespace qd::testing
