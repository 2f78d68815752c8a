// Text: cxDrawText in its forms and rotations, measuring in rectangles, the canvas's text
// drawing (fast and system paths, the disabled look, vertical placement, line bounds), the
// narrowest wrapping rectangle, word-wrapped lines and multi-line drawing, with a fixed font.
#include "ui/graphics/cxGraphicsText.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "graphics_test_util.h"

namespace qd {

namespace testing {
namespace {

std::vector<String> Lines(TStrings& l) {
  std::vector<String> v;
  for (int i = 0; i < l.Count(); ++i) v.push_back(l.Strings(i));
  return v;
}

std::string Narrow(const String& s) {
  return std::string(s.begin(), s.end());
}

class TextTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    cxGraphics::Initialize();
    font.SetName(kTestFontName);
    font.SetHeight(-13);
    font.SetQuality(fqNonAntialiased);  // exact colours in pixel checks
  }
  void TearDown() override {
    cxGraphics::Finalize();
    GraphicsTest::TearDown();
  }
  // A canvas on a fresh bitmap with the test font and a clear brush.
  struct Surface {
    TestBitmap bitmap;
    TcxCanvas canvas;
    Surface(int w, int h, TFont* f) : bitmap(w, h), canvas(bitmap.Canvas()) {
      canvas.Font()->Assign(f);
      canvas.Font()->SetColor(clBlack);
      canvas.Brush()->SetStyle(bsClear);
    }
  };
  TFont font;
};

TEST_F(TextTest, DrawTextOnADeviceContextSetsAndRestoresColourAndMode) {
  Surface s(80, 20, &font);
  HDC dc = s.canvas.Handle();
  SetTextColor(dc, RGB(0, 255, 0));
  SetBkMode(dc, OPAQUE);
  TRect r{0, 0, 80, 20};
  const int h = cxDrawText(dc, u"Red", r, DT_SINGLELINE, -1, clRed);
  EXPECT_EQ(h, cxTextHeight(dc));
  EXPECT_GT(s.bitmap.Mask([](uint32_t v) { return v == Px(clRed) ? '#' : '.'; }).find('#'), 0u);
  EXPECT_EQ(s.bitmap.At(79, 19), kSentinel);  // transparent: no background
  EXPECT_EQ(GetTextColor(dc), RGB(0, 255, 0));
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  // clDefault draws in the DC's colour; the opaque mode paints the cells' background.
  s.bitmap.Fill(kSentinel);
  SetBkColor(dc, RGB(255, 255, 0));
  cxDrawText(dc, u"Green", r, DT_SINGLELINE, -1, clDefault, OPAQUE);
  EXPECT_EQ(s.bitmap.At(1, 1), Px(clYellow));
  EXPECT_NE(s.bitmap.MaskOf(clLime).find('#'), std::string::npos);
  // A count of characters.
  s.bitmap.Fill(kSentinel);
  TRect calc{0, 0, 0, 0};
  cxDrawText(dc, u"Green", calc, DT_SINGLELINE | DT_CALCRECT, 2);
  EXPECT_EQ(calc.Width(), s.canvas.TextWidth(u"Gr"));
  EXPECT_EQ(s.bitmap.CountDrawn(), 0);
  TRect none{0, 0, 10, 10};
  EXPECT_EQ(cxDrawText(dc, u"Green", none, DT_SINGLELINE, 0, clRed), 0);
  EXPECT_EQ(GetTextColor(dc), RGB(0, 255, 0));
}

TEST_F(TextTest, ExtTextOutAndExtentsCountCharacters) {
  Surface s(80, 20, &font);
  HDC dc = s.canvas.Handle();
  TSize size{9, 9};
  ASSERT_TRUE(cxGetTextExtentPoint32(dc, u"abcdef", size, 3));
  EXPECT_EQ(size.cx, s.canvas.TextWidth(u"abc"));
  EXPECT_EQ(size.cy, cxTextHeight(dc));
  ASSERT_TRUE(cxGetTextExtentPoint32(dc, u"abcdef", size));
  EXPECT_EQ(size.cx, s.canvas.TextWidth(u"abcdef"));
  EXPECT_FALSE(cxGetTextExtentPoint32(nullptr, u"abc", size));
  EXPECT_EQ(size, (TSize{0, 0}));

  // Clipped to R: nothing right of it.
  ASSERT_TRUE(cxExtTextOut(dc, u"WWWWWW", TPoint{0, 0}, TRect{0, 0, 20, 20}, ETO_CLIPPED));
  EXPECT_EQ(s.bitmap.DrawnBounds().Right, 20);
  s.bitmap.Fill(kSentinel);
  cxExtTextOut(dc, u"WWWWWW", TPoint{0, 0}, TRect{0, 0, 20, 20}, 0, 1);
  EXPECT_LE(s.bitmap.DrawnBounds().Right, s.canvas.TextWidth(u"W") + 1);
}

TEST_F(TextTest, MeasuringFunctionsUseAndReleaseTheScreenCanvas) {
  Surface s(4, 4, &font);
  EXPECT_EQ(cxTextWidth(&font, u"Measure"), s.canvas.TextWidth(u"Measure"));
  EXPECT_FALSE(cxScreenCanvas()->HandleAllocated());
  EXPECT_EQ(cxTextExtent(&font, u"Measure"), s.canvas.TextExtent(u"Measure"));
  EXPECT_EQ(cxTextHeight(&font), cxTextHeight(s.canvas.Handle()));
  EXPECT_FALSE(cxScreenCanvas()->HandleAllocated());
  // A point size of its own.
  TFont big;
  big.Assign(&font);
  big.SetSize(20);
  EXPECT_EQ(cxTextExtent(&font, u"Measure", 20), cxTextExtent(&big, u"Measure"));
  EXPECT_GT(cxTextWidth(&font, u"Measure", 20), cxTextWidth(&font, u"Measure"));

  // Rectangles through DrawText's calculation.
  const TSize one = cxTextSize(&font, u"Two words");
  EXPECT_EQ(one, s.canvas.TextExtent(u"Two words"));
  TRect r{5, 5, 30, 5};
  cxGetTextRect(r, u"Two words", &font, DT_WORDBREAK);
  EXPECT_EQ(r.Left, 5);
  EXPECT_EQ(r.Height(), 2 * cxTextHeight(&font));
  EXPECT_EQ(cxTextSize(s.canvas.Handle(), u"Two words"), one);
  EXPECT_FALSE(cxScreenCanvas()->HandleAllocated());

  // After the unit's shut-down nothing is measured.
  cxGraphics::Finalize();
  EXPECT_EQ(cxTextWidth(&font, u"Measure"), 0);
  cxGraphics::Initialize();
}

TEST_F(TextTest, NarrowestRectangleWithinRows) {
  Surface s(4, 4, &font);
  HDC dc = s.canvas.Handle();
  const String text = u"The quick brown fox jumps over the lazy dog and keeps running far away";
  const int h = cxTextHeight(dc);
  const TSize single = s.canvas.TextExtent(text);
  auto rows = [&](int width) {
    TRect r{0, 0, width, 1};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_WORDBREAK);
    return r.Height() / h;
  };
  const TRect one = cxGetTextRect(dc, text, 1);
  EXPECT_EQ(one, (TRect{0, 0, single.cx, single.cy}));
  for (int n : {2, 3, 5}) {
    const TRect r = cxGetTextRect(dc, text, n);
    EXPECT_LE(r.Height(), n * h) << n;
    EXPECT_EQ(rows(r.Width()), r.Height() / h) << n;
    EXPECT_GT(rows(r.Width() - 1), n) << n << " is not the narrowest";
    EXPECT_NEAR(r.Width(), single.cx / n, single.cx / n / 4 + s.canvas.TextWidth(u"running")) << n;
    EXPECT_EQ(cxGetTextRect(dc, text, n, true).Bottom, n * h) << n;
  }
  // No row limit: as narrow as the widest word.
  const TRect narrow = cxGetTextRect(dc, text, 0);
  EXPECT_EQ(narrow.Width(), s.canvas.TextWidth(u"running"));
  EXPECT_EQ(cxGetTextRect(dc, text, 0, true).Bottom, 32000);
}

TEST_F(TextTest, TextLinesBreakAtWordsAndLineBreaks) {
  Surface s(4, 4, &font);
  const int oneTwo = s.canvas.TextWidth(u"one two");
  struct Case {
    const char16_t* text;
    int width;
    std::vector<String> lines;
  } cases[] = {
      {u"a\r\n\r\nb", 500, {u"a", u"", u"b"}},
      {u"a\r\nb", 500, {u"a", u"b"}},
      {u"a\nb\rc", 500, {u"a", u"b", u"c"}},
      {u"a\n\n\nb", 500, {u"a", u"", u"", u"b"}},
      {u"a\r\n", 500, {u"a", u""}},
      {u"a\r\n\r\n", 500, {u"a", u"", u""}},
      {u"one two three", oneTwo, {u"one two", u"three"}},
      {u"one two three", oneTwo - 1, {u"one", u"two", u"three"}},
      {u"one  two", 500, {u"one  two"}},
      {u"x supercalifragilistic y", oneTwo, {u"x", u"supercalifragilistic", u"y"}},
      {u"one two\r\nthree four", oneTwo, {u"one two", u"three", u"four"}},
      {u"", 500, {}},
  };
  for (const auto& c : cases) {
    TStringList lines;
    cxGetTextLines(c.text, &s.canvas, TRect{0, 0, c.width, 50}, &lines);
    EXPECT_EQ(Lines(lines), c.lines) << Narrow(c.text);
  }
}

TEST_F(TextTest, MultilineTextIsPlacedAsABlockButNeverAboveTheRectangle) {
  Surface s(120, 100, &font);
  const int h = cxTextHeight(s.canvas.Handle());
  const int width = s.canvas.TextWidth(u"alpha beta");
  const String text = u"alpha beta gamma";  // two lines at that width
  struct Case {
    UINT format;
    int rectHeight;
    int firstTop;
  } cases[] = {{0, 6 * h, 0}, {DT_BOTTOM, 6 * h, 4 * h}, {DT_VCENTER, 6 * h, 2 * h}, {DT_BOTTOM, h, 0}};
  for (const auto& c : cases) {
    s.bitmap.Fill(kSentinel);
    const TRect r{0, 0, width, c.rectHeight};
    EXPECT_EQ(cxDrawMultilineText(&s.canvas, text, r, c.format, clRed), 2);
    const TRect drawn = s.bitmap.DrawnBounds();
    EXPECT_GE(drawn.Top, c.firstTop) << c.format;
    EXPECT_LT(drawn.Top, c.firstTop + h / 2) << c.format;
    EXPECT_GT(drawn.Bottom, c.firstTop + h + h / 2) << c.format;  // the second line under the first
    EXPECT_LE(drawn.Bottom, c.firstTop + 2 * h) << c.format;
    EXPECT_EQ(s.bitmap.MaskOf(clRed), s.bitmap.Mask()) << c.format;
  }
}

TEST_F(TextTest, TextExtentInARectangleHonoursTheAlignment) {
  Surface s(4, 4, &font);
  const TSize e = s.canvas.TextExtent(u"Word");
  struct Case {
    int32_t flags;
    TPoint topLeft;
  } cases[] = {
      {cxSingleLine, {10, 20}},
      {cxSingleLine | cxAlignRight, {110 - e.cx, 20}},
      {cxSingleLine | cxAlignHCenter, {10 + (100 - e.cx) / 2, 20}},
      {cxSingleLine | cxAlignBottom, {10, 60 - e.cy}},
      {cxSingleLine | cxAlignVCenter, {10, 20 + (40 - e.cy) / 2}},
  };
  for (const auto& c : cases) {
    TRect r{10, 20, 110, 60};
    s.canvas.TextExtent(u"Word", r, c.flags);
    EXPECT_EQ(r, (TRect{c.topLeft.X, c.topLeft.Y, c.topLeft.X + e.cx, c.topLeft.Y + e.cy})) << c.flags;
  }
  // A zero width still measures one word per line.
  TRect narrow{0, 0, 0, 0};
  s.canvas.TextExtent(u"Two words", narrow, cxWordBreak | cxDontBreakChars);
  EXPECT_EQ(narrow.Width(), s.canvas.TextWidth(u"words"));
  EXPECT_EQ(narrow.Height(), 2 * e.cy);
}

TEST_F(TextTest, SingleLineTextTakesTheFastPathAndDisabledTextIsEmbossed) {
  Surface a(100, 24, &font), b(100, 24, &font);
  const TRect r{2, 2, 98, 22};
  // A fitting, left-aligned, enabled text is ExtTextOut at the top-left.
  a.canvas.DrawTexT(u"Fast path", r, cxSingleLine);
  ExtTextOutW(b.canvas.Handle(), 2, 2, 0, nullptr, u"Fast path", 9, nullptr);
  EXPECT_EQ(a.bitmap.Mask(), b.bitmap.Mask());
  // Too wide: clipped to R.
  a.bitmap.Fill(kSentinel);
  a.canvas.DrawTexT(u"WWWWWWWWWWWWWWWWWWWWWW", TRect{2, 2, 40, 22}, cxSingleLine);
  EXPECT_EQ(a.bitmap.DrawnBounds().Right, 40);
  // Right alignment places the text at R's right edge.
  a.bitmap.Fill(kSentinel);
  a.canvas.DrawTexT(u"Right", r, cxSingleLine | cxAlignRight);
  const int w = a.canvas.TextWidth(u"Right");
  EXPECT_LE(a.bitmap.DrawnBounds().Right, 98);
  EXPECT_GE(a.bitmap.DrawnBounds().Left, 98 - w);

  // Disabled: highlight one pixel right and down, then the shadow colour in place.
  a.bitmap.Fill(kSentinel);
  a.canvas.Brush()->SetStyle(bsSolid);
  a.canvas.Font()->SetColor(clRed);
  a.canvas.DrawTexT(u"Off", r, cxSingleLine, false);
  EXPECT_EQ(a.canvas.Brush()->Style(), bsSolid);  // restored
  EXPECT_EQ(a.canvas.Font()->Color(), clRed);
  TestBitmap shadow(100, 24), light(100, 24);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 100; ++x) {
      if (a.bitmap.Rgb(x, y) == Px(clBtnShadow)) shadow.Px(x, y) = 0;
      if (a.bitmap.Rgb(x, y) == Px(clBtnHighlight)) light.Px(x, y) = 0;
    }
  const TRect sb = shadow.DrawnBounds();
  ASSERT_FALSE(sb.IsEmpty());
  EXPECT_EQ(sb.Left, b.bitmap.DrawnBounds().Left);
  // The highlight copy lies one pixel lower right (where the shadow does not cover it).
  b.bitmap.Fill(kSentinel);
  ExtTextOutW(b.canvas.Handle(), 3, 3, 0, nullptr, u"Off", 3, nullptr);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 100; ++x)
      if (light.At(x, y) == 0) {
        EXPECT_NE(b.bitmap.At(x, y), kSentinel) << x << "," << y;
      }
  EXPECT_GT(light.CountDrawn(), 0);
  EXPECT_EQ(a.bitmap.CountDrawn(), shadow.CountDrawn() + light.CountDrawn());  // no background
  a.bitmap.SavePng("text_disabled", 4);
}

TEST_F(TextTest, WrappedTextAlignedToTheBottomEndsOnTheBottom) {
  Surface top(120, 100, &font), bottom(120, 100, &font);
  const int h = cxTextHeight(top.canvas.Handle());
  const String text = u"alpha beta gamma";
  const int width = top.canvas.TextWidth(u"alpha beta") + 2;
  const TRect r{0, 0, width, 90};
  top.canvas.DrawTexT(text, r, cxWordBreak);
  bottom.canvas.DrawTexT(text, r, cxWordBreak | cxAlignBottom);
  const TRect t = top.bitmap.DrawnBounds(), b = bottom.bitmap.DrawnBounds();
  EXPECT_EQ(b, RectOffset(t, 0, 90 - 2 * h)) << t << " " << b;
  bottom.bitmap.SavePng("text_wrapped_bottom", 3);

  // The rectangle's top as AlignMultiLineTextRectVertically moves it.
  struct Case {
    TcxAlignmentVert align;
    bool enabled, ellipsis;
    int rectHeight, top;
  } cases[] = {
      {vaTop, true, false, 90, 0},
      {vaBottom, true, false, 90, 90 - 2 * h},
      {vaBottom, false, false, 90, 90 - 2 * h - 1},
      {vaCenter, true, false, 91, (91 - 2 * h) / 2},
      {vaBottom, true, true, h + h / 2, h / 2},  // only one whole line fits: its height counts
  };
  for (const auto& c : cases) {
    TRect rr{0, 0, width + (c.enabled ? 0 : 1), c.rectHeight};
    top.canvas.AlignMultiLineTextRectVertically(rr, text, c.ellipsis, false, c.enabled, false, true, c.align);
    EXPECT_EQ(rr.Top, c.top) << int(c.align) << c.enabled << c.ellipsis;
    EXPECT_EQ(rr.Bottom, c.rectHeight);
  }
}

TEST_F(TextTest, LineBoundsMatchTheDrawnLines) {
  struct Case {
    int32_t flags;
    const char16_t* text;
    int lines;
  } cases[] = {
      {cxWordBreak, u"alpha beta gamma", 2},
      {cxWordBreak | cxAlignHCenter | cxAlignVCenter, u"alpha beta gamma", 2},
      {cxWordBreak | cxAlignRight | cxAlignBottom, u"alpha beta gamma", 2},
      {cxWordBreak, u"alpha\r\nbeta\ngamma", 3},
      {cxSingleLine | cxShowPrefix, u"&Save && close", 1},
  };
  for (const auto& c : cases) {
    Surface s(160, 100, &font);
    const int width = (c.flags & cxSingleLine) ? 150 : s.canvas.TextWidth(u"alpha beta ") + 3;
    const TRect r{5, 5, 5 + width, 95};
    s.canvas.DrawTexT(c.text, r, c.flags);
    std::vector<TRect> bounds;
    s.canvas.GetTextStringsBounds(c.text, r, bounds, true, c.flags);
    ASSERT_EQ(static_cast<int>(bounds.size()), c.lines) << Narrow(c.text);
    // Every drawn pixel lies in one of the rectangles, and every rectangle holds some.
    std::vector<int> hits(bounds.size(), 0);
    int outside = 0;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 160; ++x) {
        if (s.bitmap.At(x, y) == kSentinel) continue;
        bool in = false;
        for (size_t i = 0; i < bounds.size(); ++i)
          if (x >= bounds[i].Left && x < bounds[i].Right && y >= bounds[i].Top && y < bounds[i].Bottom) {
            ++hits[i];
            in = true;
          }
        outside += !in;
      }
    EXPECT_EQ(outside, 0) << Narrow(c.text) << " " << c.flags;
    if (outside) s.bitmap.SavePng("text_line_bounds_failure", 3);
    for (size_t i = 0; i < bounds.size(); ++i) EXPECT_GT(hits[i], 0) << Narrow(c.text) << " line " << i;
    for (size_t i = 1; i < bounds.size(); ++i) EXPECT_EQ(bounds[i].Top, bounds[i - 1].Bottom);
    if (c.flags & cxShowPrefix) {
      EXPECT_EQ(bounds[0].Width(), s.canvas.TextWidth(u"Save & close"));
    }
    if (c.flags & cxAlignRight) {
      for (const TRect& b : bounds) EXPECT_EQ(b.Right, r.Right);
    }
  }
  Surface s(10, 10, &font);
  std::vector<TRect> bounds{TRect{1, 1, 2, 2}};
  s.canvas.GetTextStringsBounds(u"", TRect{0, 0, 10, 10}, bounds, true, 0);
  EXPECT_TRUE(bounds.empty());
}

TEST_F(TextTest, RotatedTextIsTheHorizontalTextTurned) {
  // The horizontal picture of the text, then each rotation drawn into a rectangle of the
  // turned size: pixel for pixel the horizontal picture turned by the angle.
  const int W = 44, H = 18;
  Surface flat(W, H, &font);
  flat.canvas.Font()->SetColor(clBlue);
  cxDrawText(&flat.canvas, u"Tq→", TRect{0, 0, W, H}, DT_SINGLELINE | DT_VCENTER, clDefault, ra0);
  ASSERT_GT(flat.bitmap.CountDrawn(), 10);
  struct Case {
    TcxRotationAngle angle;
    std::function<TPoint(int, int)> map;  // horizontal (x, y) to the turned picture
  } cases[] = {
      {raPlus90,
       [&](int x, int y) {
         return TPoint{y, W - 1 - x};
       }},  // reads bottom to top
      {raMinus90,
       [&](int x, int y) {
         return TPoint{H - 1 - y, x};
       }},  // reads top to bottom
      {ra180,
       [&](int x, int y) {
         return TPoint{W - 1 - x, H - 1 - y};
       }},
  };
  for (const auto& c : cases) {
    const bool quarter = c.angle != ra180;
    const int w = quarter ? H : W, h = quarter ? W : H;
    Surface turned(w + 4, h + 4, &font);
    turned.canvas.Font()->SetColor(clBlue);
    cxDrawText(&turned.canvas, u"Tq→", TRect{2, 2, 2 + w, 2 + h}, DT_SINGLELINE | DT_VCENTER, clDefault,
               c.angle);
    int wrong = 0;
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        const TPoint p = c.map(x, y);
        wrong += (flat.bitmap.Rgb(x, y) == Px(clBlue)) != (turned.bitmap.Rgb(p.X + 2, p.Y + 2) == Px(clBlue));
      }
    EXPECT_EQ(wrong, 0) << int(c.angle);
    // The bounding box turns with it and stays inside the rectangle.
    const TRect fb = flat.bitmap.DrawnBounds(), tb = turned.bitmap.DrawnBounds();
    const TSize want = quarter ? TSize{fb.Height(), fb.Width()} : TSize{fb.Width(), fb.Height()};
    EXPECT_EQ((TSize{tb.Width(), tb.Height()}), want) << int(c.angle);
    EXPECT_GE(tb.Left, 2);
    EXPECT_LE(tb.Right, 2 + w);
    if (c.angle == raPlus90) {
      // The first letter is at the bottom: reading upwards.
      EXPECT_GT(tb.Bottom, 2 + h - fb.Left - 3);
      turned.bitmap.SavePng("text_rotated_plus90", 4);
    }
  }
  // DrawTexT with a rotation goes the same way.
  Surface viaCanvas(H, W, &font), direct(H, W, &font);
  viaCanvas.canvas.Font()->SetColor(clBlue);
  direct.canvas.Font()->SetColor(clBlue);
  viaCanvas.canvas.DrawTexT(u"Tq→", TRect{0, 0, H, W}, cxSingleLine | cxAlignVCenter, true, raPlus90);
  cxDrawText(&direct.canvas, u"Tq→", TRect{0, 0, H, W}, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, clDefault,
             raPlus90);
  EXPECT_EQ(viaCanvas.bitmap.MaskOf(clBlue), direct.bitmap.MaskOf(clBlue));
}

}  // namespace
}  // namespace testing
}  // namespace qd
