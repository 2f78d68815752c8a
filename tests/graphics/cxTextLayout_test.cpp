// The text layout engine: line breaking with a fixed-advance measurer, row placement, and
// cxTextOut's ellipsis, highlight and measuring on a memory device context.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "graphics_test_util.h"
#include "platform/base/strings.h"
#include "platform/os/gdi.h"
#include "ui/graphics/cxTextLayout.h"

namespace qd {
namespace {

using testing::GraphicsTest;
using testing::TestBitmap;

// Every character 10 wide and 10 high; with tab expansion a tab moves to the next
// multiple of 80.
void FakeExtents(HDC, const Char* AText, int32_t ACount, TSize& ASize, void*, bool AExpandTabs) {
  int32_t x = 0;
  for (int32_t i = 0; i < ACount; ++i) x = AText[i] == u'\t' && AExpandTabs ? (x / 80 + 1) * 80 : x + 10;
  ASize = {x, 10};
}

// The bounding box of the pixels that are not white.
TRect InkBounds(TestBitmap& b) {
  TRect r{b.W(), b.H(), 0, 0};
  for (int y = 0; y < b.H(); ++y)
    for (int x = 0; x < b.W(); ++x)
      if (b.Rgb(x, y) != 0xFFFFFF)
        r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
  return r;
}

TcxTextParams FakeParams(uint32_t AFormat) {
  TestBitmap b(1, 1);
  TcxTextParams p = cxCalcTextParams(b.DC(), AFormat, 1.0);
  p.RowHeight = p.FullRowHeight = 10;
  p.CharBreak = (AFormat & CXTO_CHARBREAK) != 0;
  return p;
}

std::vector<std::u16string> MakeRows(const std::u16string& AText, uint32_t AFormat, int AWidth,
                                     int AHeight = 1000, int AMaxLines = 0, bool* AFits = nullptr,
                                     TcxTextRows* AStore = nullptr) {
  TcxTextParams p = FakeParams(AFormat);
  TcxTextRows local;
  TcxTextRows& rows = AStore ? *AStore : local;
  int32_t count = 0;
  const bool fits = cxMakeTextRows(nullptr, AText.data(), static_cast<int32_t>(AText.size()),
                                   TRect{0, 0, AWidth, AHeight}, p, rows, count, AMaxLines, FakeExtents);
  if (AFits) *AFits = fits;
  std::vector<std::u16string> out;
  for (int32_t i = 0; i < count; ++i) {
    const TcxTextRow& r = cxGetTextRow(rows, i);
    out.emplace_back(r.Text, static_cast<size_t>(r.TextLength));
  }
  return out;
}

class TextLayoutTest : public GraphicsTest {};

TEST_F(TextLayoutTest, LineBreakingTable) {
  constexpr uint32_t WB = CXTO_WORDBREAK;
  struct Case {
    const char* name;
    std::u16string text;
    uint32_t format;
    int width;
    std::vector<std::u16string> rows;
  };
  const Case cases[] = {
      {"space that does not fit is skipped", u"aaa bbb", WB, 35, {u"aaa", u"bbb"}},
      {"left keeps a fitting space", u"aaa bbb", WB, 45, {u"aaa ", u"bbb"}},
      {"centred drops the space", u"aaa bbb", WB | CXTO_CENTER_HORIZONTALLY, 45, {u"aaa", u"bbb"}},
      {"right drops the space before the break", u"aaa bbb", WB | CXTO_RIGHT, 45, {u"aaa", u"bbb"}},
      {"excel style skips every leading space", u"aaa    bbb", WB | CXTO_EXCELSTYLE, 35, {u"aaa", u"bbb"}},
      {"long word stays whole", u"abcdefgh ij", WB, 35, {u"abcdefgh", u"ij"}},
      {"long word is cut by characters", u"abcdefgh", WB | CXTO_CHARBREAK, 35, {u"abc", u"def", u"gh"}},
      {"edit control cuts by characters", u"abcdefgh", WB | CXTO_EDITCONTROL, 45, {u"abcd", u"efgh"}},
      {"hyphen-less text is one word", u"a-b-c-d-e", WB, 35, {u"a-b-c-d-e"}},
      {"every line break kind", u"ab\r\ncd\ref\ngh\n\rij", WB, 1000, {u"ab", u"cd", u"ef", u"gh", u"ij"}},
      {"line breaks without word breaking", u"ab cd\r\nef", 0, 10, {u"ab cd", u"ef"}},
      {"an empty line between breaks", u"ab\n\ncd", WB, 1000, {u"ab", u"", u"cd"}},
      {"a tab ends a word", u"aaaa\tbbbb", WB | CXTO_EXPANDTABS, 100, {u"aaaa\t", u"bbbb"}},
      {"trailing spaces stay with left alignment", u"ab   ", WB, 1000, {u"ab   "}},
      {"ideograph keeps its closing stop",
       u"\u4E00\u3002\u4E00\u4E00",
       WB,
       25,
       {u"\u4E00\u3002", u"\u4E00\u4E00"}},
      {"two ideographs split anywhere", u"\u4E00\u4E00\u4E00", WB, 25, {u"\u4E00\u4E00", u"\u4E00"}},
      {"single line ignores the width", u"aaa bbb ccc", CXTO_SINGLELINE, 20, {u"aaa bbb ccc"}},
      {"calc rect single line keeps line breaks",
       u"ab\ncd",
       CXTO_SINGLELINE | CXTO_CALCRECT,
       10,
       {u"ab\ncd"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MakeRows(c.text, c.format, c.width), c.rows);
  }
}

TEST_F(TextLayoutTest, RowLimitsAndVisibleRows) {
  bool fits = true;
  EXPECT_EQ(MakeRows(u"a b c d", CXTO_WORDBREAK, 15, 1000, 2, &fits),
            (std::vector<std::u16string>{u"a", u"b"}));
  EXPECT_FALSE(fits);
  // Top alignment stops at the first row that is not fully visible; the edit control at
  // the last fully visible one; centred text makes every row.
  EXPECT_EQ(MakeRows(u"a b c d", CXTO_WORDBREAK, 15, 25).size(), 3u);
  EXPECT_EQ(MakeRows(u"a b c d", CXTO_WORDBREAK | CXTO_EDITCONTROL, 15, 25).size(), 2u);
  EXPECT_EQ(MakeRows(u"a b c d", CXTO_WORDBREAK | CXTO_CENTER_VERTICALLY, 15, 25).size(), 4u);
  EXPECT_EQ(MakeRows(u"a b c d", CXTO_WORDBREAK | CXTO_CALCRECT, 15, 25).size(), 4u);
  MakeRows(u"a b c d", CXTO_WORDBREAK, 1000, 1000, 0, &fits);
  EXPECT_TRUE(fits);
  MakeRows(u"abcdef", CXTO_SINGLELINE, 30, 1000, 0, &fits);
  EXPECT_FALSE(fits);
}

TEST_F(TextLayoutTest, FortyRowsUseTheInlineAndTheDynamicRows) {
  std::u16string text;
  for (int i = 0; i < 40; ++i) text += u"r" + IntToStr(i) + u"\n";
  TcxTextRows store;
  const auto rows = MakeRows(text, CXTO_WORDBREAK, 1000, 1000, 0, nullptr, &store);
  ASSERT_EQ(rows.size(), 40u);
  EXPECT_EQ(store.Count, 40);
  EXPECT_GE(store.DynamicRows.size(), 8u);
  EXPECT_EQ(rows[39], u"r39");
  EXPECT_EQ(cxGetTextRow(store, 39).StartOffset, static_cast<int32_t>(text.size()) - 4);
}

TEST_F(TextLayoutTest, JustifiedRowsCountTheirBreaks) {
  TcxTextRows store;
  const auto rows =
      MakeRows(u"aa bb cc dd", CXTO_WORDBREAK | CXTO_JUSTIFY_HORIZONTALLY, 55, 1000, 0, nullptr, &store);
  ASSERT_GE(rows.size(), 2u);
  EXPECT_EQ(rows[0], u"aa bb");
  EXPECT_EQ(cxGetTextRow(store, 0).BreakCount, 1);
  // The last row of the paragraph is not wrapped: no justification.
  EXPECT_EQ(cxGetTextRow(store, static_cast<int32_t>(rows.size()) - 1).BreakCount, 0);
  MakeRows(u"aa bb ", CXTO_DISTRIBUTE_HORIZONTALLY, 1000, 1000, 0, nullptr, &store);
  EXPECT_EQ(cxGetTextRow(store, 0).TextLength, 5);
  EXPECT_EQ(cxGetTextRow(store, 0).BreakCount, 1);
}

TEST_F(TextLayoutTest, FarEastCharacters) {
  EXPECT_TRUE(IsFarEastLineBreak(0x3002));
  EXPECT_TRUE(IsFarEastLineBreak(u','));
  EXPECT_TRUE(IsFarEastLineBreak(0xFFF0));
  EXPECT_FALSE(IsFarEastLineBreak(u'a'));
  EXPECT_FALSE(IsFarEastLineBreak(0x3000));
  EXPECT_TRUE(IsFarEastFullWidthCharacter(0, 0x4E00));
  EXPECT_TRUE(IsFarEastFullWidthCharacter(1252, 0xAC00));
  EXPECT_FALSE(IsFarEastFullWidthCharacter(1252, u'a'));
  EXPECT_FALSE(IsFarEastFullWidthCharacter(1252, 0x00E9));
  EXPECT_TRUE(IsFarEastFullWidthCharacter(932, 0xFF01));
  EXPECT_FALSE(IsFarEastFullWidthCharacter(932, 0xFF71));  // half-width katakana: one byte
}

TEST_F(TextLayoutTest, RowPlacement) {
  TcxTextParams p = FakeParams(CXTO_DISTRIBUTE_VERTICALLY);
  TcxTextRows rows;
  ValidateTextRows(rows, 3);
  cxPlaceTextRows(nullptr, TRect{0, 100, 50, 140}, p, rows, 3);
  EXPECT_EQ(cxGetTextRow(rows, 0).TextOriginY, 100);
  EXPECT_EQ(cxGetTextRow(rows, 1).TextOriginY, 115);
  EXPECT_EQ(cxGetTextRow(rows, 2).TextOriginY, 130);
  // Remainder pixels go to the first rows: G = 31, spacing 15, one extra pixel.
  p = FakeParams(CXTO_DISTRIBUTE_VERTICALLY);
  cxPlaceTextRows(nullptr, TRect{0, 0, 50, 41}, p, rows, 3);
  EXPECT_EQ(cxGetTextRow(rows, 1).TextOriginY, 16);
  EXPECT_EQ(cxGetTextRow(rows, 2).TextOriginY, 31);

  // Centring: a single-line row 11 pixels narrower starts 6 pixels in, a wrapped one 5.
  TcxTextRows one;
  ValidateTextRows(one, 1);
  cxGetTextRow(one, 0).TextExtents = {89, 10};
  p = FakeParams(CXTO_CENTER_HORIZONTALLY | CXTO_SINGLELINE);
  cxPlaceTextRows(nullptr, TRect{0, 0, 100, 10}, p, one, 1);
  EXPECT_EQ(cxGetTextRow(one, 0).TextOriginX, 6);
  p = FakeParams(CXTO_CENTER_HORIZONTALLY | CXTO_WORDBREAK);
  cxPlaceTextRows(nullptr, TRect{0, 0, 100, 10}, p, one, 1);
  EXPECT_EQ(cxGetTextRow(one, 0).TextOriginX, 5);
  // Bottom alignment and the guard against leaving the rectangle.
  cxGetTextRow(one, 0).TextExtents = {150, 10};
  p = FakeParams(CXTO_RIGHT | CXTO_BOTTOM | CXTO_PREVENT_LEFT_EXCEED);
  cxPlaceTextRows(nullptr, TRect{0, 0, 100, 50}, p, one, 1);
  EXPECT_EQ(cxGetTextRow(one, 0).TextOriginX, 0);
  EXPECT_EQ(cxGetTextRow(one, 0).TextOriginY, 40);
  p = FakeParams(CXTO_CENTER_VERTICALLY | CXTO_PREVENT_TOP_EXCEED);
  cxPlaceTextRows(nullptr, TRect{0, 0, 100, 4}, p, one, 1);
  EXPECT_EQ(cxGetTextRow(one, 0).TextOriginY, 0);
}

// --- Output on a device context ---------------------------------------------------------------

class TextOutTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    cxTextLayout::Initialize();
    font_ = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, NONANTIALIASED_QUALITY, 0,
                        reinterpret_cast<LPCWSTR>(testing::kTestFontName));
  }
  void TearDown() override {
    DeleteObject(font_);
    cxTextLayout::Finalize();
    GraphicsTest::TearDown();
  }
  void Prepare(TestBitmap& b) {
    b.Fill(0xFFFFFF);
    SelectObject(b.DC(), font_);
    SetTextColor(b.DC(), RGB(0, 0, 0));
  }
  int Width(HDC dc, const std::u16string& s) {
    SIZE sz{};
    GetTextExtentPoint32W(dc, reinterpret_cast<LPCWSTR>(s.data()), static_cast<int>(s.size()), &sz);
    return sz.cx;
  }
  HFONT font_ = nullptr;
};

TEST_F(TextOutTest, EndEllipsisShowsTheFittingCharactersAndDots) {
  TestBitmap got(120, 20), want(120, 20);
  Prepare(got);
  Prepare(want);
  const String text = u"Wonderful things happen";
  TRect r{0, 0, 100, 20};
  cxTextOut(got.DC(), text, r, CXTO_SINGLELINE | CXTO_END_ELLIPSIS);
  got.SavePng("textlayout_ellipsis", 4);
  // The same picture by hand: the prefix that fits before "..." and the dots after it.
  int fit = 0;
  const int dots = Width(want.DC(), u"...");
  GetTextExtentExPointW(want.DC(), reinterpret_cast<LPCWSTR>(text.data()), static_cast<int>(text.size()),
                        100 - dots, &fit, nullptr, nullptr);
  ASSERT_GT(fit, 0);
  ASSERT_LT(fit, static_cast<int>(text.size()));
  SetBkMode(want.DC(), TRANSPARENT);
  TextOutW(want.DC(), 0, 0, reinterpret_cast<LPCWSTR>(text.data()), fit);
  const int x = Width(want.DC(), text.substr(0, static_cast<size_t>(fit)));
  TextOutW(want.DC(), x, 0, u"...", 3);
  EXPECT_EQ(got.Mask(), want.Mask());
  // Nothing right of the rectangle.
  EXPECT_LE(InkBounds(got).Right, 100);
}

TEST_F(TextOutTest, HighlightSpansTwoRowsInTheSelectionColours) {
  TestBitmap b(200, 40);
  Prepare(b);
  const String text = u"first row\nsecond row";
  TRect r{0, 0, 200, 40};
  // From "row" of the first row to "sec" of the second.
  cxTextOut(b.DC(), text, r, CXTO_WORDBREAK, 6, 7, nullptr, clRed, clYellow);
  b.SavePng("textlayout_highlight", 4);
  TEXTMETRICW tm{};
  GetTextMetricsW(b.DC(), &tm);
  const int h = tm.tmHeight;
  const int x1 = Width(b.DC(), u"first "), x2 = Width(b.DC(), u"first row");
  const int x3 = Width(b.DC(), u"sec");
  auto isRedOrYellow = [&](int x, int y) {
    const uint32_t v = b.Rgb(x, y);
    return v == 0xFF0000 || v == 0xFFFF00;
  };
  // Row 1: white before the selection, red from its start to the row's end.
  EXPECT_EQ(b.Rgb(x1 - 2, 1), 0xFFFFFFu);
  EXPECT_TRUE(isRedOrYellow(x1 + 1, 1));
  EXPECT_TRUE(isRedOrYellow(x2 - 1, 1));
  EXPECT_EQ(b.Rgb(x2 + 2, 1), 0xFFFFFFu);
  // Row 2: red up to the end of "sec", then the normal colours.
  EXPECT_TRUE(isRedOrYellow(0, h + 1));
  EXPECT_TRUE(isRedOrYellow(x3 - 1, h + 1));
  EXPECT_EQ(b.Rgb(x3 + 1, h + 1), 0xFFFFFFu);
  // Glyphs inside the selection are yellow; none are black there.
  int yellow = 0, blackInSelection = 0, black = 0;
  for (int y = 0; y < 2 * h; ++y)
    for (int x = 0; x < 200; ++x) {
      const bool inSel = y < h ? (x >= x1 && x < x2) : (x < x3);
      const uint32_t v = b.Rgb(x, y);
      yellow += v == 0xFFFF00;
      if (v == 0) (inSel ? blackInSelection : black)++;
    }
  EXPECT_GT(yellow, 10);
  EXPECT_EQ(blackInSelection, 0);
  EXPECT_GT(black, 10);
}

TEST_F(TextOutTest, SelectionAtTheTextEndHighlightsNothing) {
  TestBitmap b(100, 20);
  Prepare(b);
  TRect r{0, 0, 100, 20};
  cxTextOut(b.DC(), u"abc", r, CXTO_SINGLELINE, 3, 2, nullptr, clRed, clYellow);
  EXPECT_EQ(b.MaskOf(clRed).find('#'), std::string::npos);
  EXPECT_EQ(b.MaskOf(clYellow).find('#'), std::string::npos);
}

TEST_F(TextOutTest, HighlightOverTheRowEndColoursTheEllipsis) {
  TestBitmap b(100, 20);
  Prepare(b);
  TRect r{0, 0, 80, 20};
  const String text = u"abcdefghijklmnopqrstuvwxyz";
  cxTextOut(b.DC(), text, r, CXTO_SINGLELINE | CXTO_END_ELLIPSIS, 2, 30, nullptr, clNone, clBlue);
  b.SavePng("textlayout_ellipsis_highlight", 4);
  // Right part of the drawing (where the dots are) is blue, nothing is black there.
  const TRect drawn = InkBounds(b);
  int blueDots = 0, blackDots = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = drawn.Right - 8; x < drawn.Right; ++x) {
      blueDots += b.Rgb(x, y) == 0x0000FF;
      blackDots += b.Rgb(x, y) == 0;
    }
  EXPECT_GT(blueDots, 0);
  EXPECT_EQ(blackDots, 0);
  // The first two characters keep the normal colour.
  int black = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < Width(b.DC(), u"ab"); ++x) black += b.Rgb(x, y) == 0;
  EXPECT_GT(black, 0);
}

TEST_F(TextOutTest, SelectedEllipsisGetsTheSelectionBackground) {
  // White selection text on the white background would hide the dots: they are drawn on the
  // selection colour like the selected characters before them.
  TestBitmap b(100, 20);
  Prepare(b);
  TRect r{0, 0, 80, 20};
  cxTextOut(b.DC(), u"abcdefghijklmnopqrstuvwxyz", r, CXTO_SINGLELINE | CXTO_END_ELLIPSIS, 2, 30, nullptr,
            clRed, clWhite);
  b.SavePng("textlayout_selected_ellipsis", 4);
  int fit = 0;
  const int dots = Width(b.DC(), u"...");
  GetTextExtentExPointW(b.DC(), u"abcdefghijklmnopqrstuvwxyz", 26, 80 - dots, &fit, nullptr, nullptr);
  const int start =
      Width(b.DC(), std::u16string(u"abcdefghijklmnopqrstuvwxyz").substr(0, static_cast<size_t>(fit)));
  int red = 0, white = 0;
  for (int y = 2; y < 12; ++y)
    for (int x = start; x < std::min(start + dots, 80); ++x) {
      red += b.Rgb(x, y) == 0xFF0000;
      white += b.Rgb(x, y) == 0xFFFFFF;
    }
  EXPECT_GT(red, 10);
  EXPECT_GT(white, 0);
  EXPECT_EQ(b.Rgb(85, 5), 0xFFFFFFu);  // nothing beyond the rectangle
}

TEST_F(TextOutTest, MeasuringReturnsHeightsRowCountsAndTheNarrowedRectangle) {
  TestBitmap b(10, 10);
  Prepare(b);
  TEXTMETRICW tm{};
  GetTextMetricsW(b.DC(), &tm);
  const String text = u"one two three four five";
  TRect r{0, 0, Width(b.DC(), u"three") + 2, 1000};
  const int32_t rows = cxTextOut(b.DC(), text, r, CXTO_WORDBREAK | CXTO_CALCROWCOUNT);
  EXPECT_EQ(rows, 5);
  TRect calc{0, 0, Width(b.DC(), u"three") + 2, 1000};
  EXPECT_EQ(cxTextOut(b.DC(), text, calc, CXTO_WORDBREAK | CXTO_CALCRECT, 0, 0, nullptr, clNone, clNone, 2),
            2 * tm.tmHeight);
  EXPECT_EQ(calc.Bottom, 2 * tm.tmHeight);
  EXPECT_EQ(calc.Right, std::max(Width(b.DC(), u"one "), Width(b.DC(), u"two ")));  // the first two rows
  TRect single{5, 5, 500, 500};
  cxTextOut(b.DC(), u"a&&b &c", single, CXTO_SINGLELINE | CXTO_CALCRECT | CXTO_HIDEPREFIX);
  EXPECT_EQ(single.Right - single.Left, Width(b.DC(), u"a&b c"));
  EXPECT_EQ(cxTextOut(b.DC(), u"", single, 0), 0);
  TRect empty{0, 0, 0, 10};
  EXPECT_EQ(cxTextOut(b.DC(), u"abc", empty, 0), 0);
}

TEST_F(TextOutTest, TinyFontsDrawPatternBars) {
  TestBitmap b(60, 10);
  b.Fill(0xFFFFFF);
  HFONT tiny = CreateFontW(-4, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0,
                           reinterpret_cast<LPCWSTR>(testing::kTestFontName));
  HFONT bold = CreateFontW(-4, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0,
                           reinterpret_cast<LPCWSTR>(testing::kTestFontName));
  SelectObject(b.DC(), tiny);
  SetTextColor(b.DC(), RGB(0, 0, 0));
  TRect r{0, 0, 60, 10};
  cxTextOut(b.DC(), u"tiny text here", r, CXTO_SINGLELINE | CXTO_PATTERNEDTEXT);
  // A checkerboard in the text colour and the window colour.
  EXPECT_EQ(b.Rgb(2, 2) == 0 ? b.Rgb(3, 2) : b.Rgb(2, 2), ColorToRGB(clWindow) == 0xFFFFFF ? 0xFFFFFFu : 0u);
  EXPECT_NE(b.Rgb(2, 2), b.Rgb(3, 2));
  EXPECT_EQ(b.Rgb(2, 2), b.Rgb(3, 3));
  b.Fill(0xFFFFFF);
  SelectObject(b.DC(), bold);
  cxTextOut(b.DC(), u"tiny text here", r, CXTO_SINGLELINE | CXTO_PATTERNEDTEXT);
  EXPECT_EQ(b.Rgb(2, 2), 0u);
  EXPECT_EQ(b.Rgb(3, 2), 0u);
  SelectObject(b.DC(), GetStockObject(SYSTEM_FONT));
  DeleteObject(tiny);
  DeleteObject(bold);
}

TEST_F(TextOutTest, RotatedTextRunsUpwardsInsideTheRectangle) {
  TestBitmap b(40, 120);
  b.Fill(0xFFFFFF);
  TFont font;
  font.SetName(testing::kTestFontName);
  font.SetHeight(-14);
  SetTextColor(b.DC(), RGB(0, 0, 0));
  cxRotatedTextOut(b.DC(), TRect{0, 0, 40, 120}, u"Rotated", &font, taLeft, taTop, false, true, false,
                   vtdBottomToTop);
  b.SavePng("textlayout_rotated", 4);
  const TRect drawn = InkBounds(b);
  // Taller than wide, starting at the bottom of the deflated rectangle.
  EXPECT_GT(drawn.Height(), 2 * drawn.Width());
  EXPECT_LE(drawn.Bottom, 118);
  EXPECT_GE(drawn.Bottom, 110);
  EXPECT_GE(drawn.Left, 2);
}

TEST_F(TextOutTest, RotatedWordBreakMakesProgressWithAnOverlongFirstWord) {
  TestBitmap b(60, 40);
  b.Fill(0xFFFFFF);
  TFont font;
  font.SetName(testing::kTestFontName);
  font.SetHeight(-10);
  // The first word is longer than the rectangle's height: it gets a row of its own.
  cxRotatedTextOut(b.DC(), TRect{0, 0, 60, 40}, u"Extraordinarily a b", &font, taLeft, taTop, true, true,
                   false, vtdTopToBottom);
  EXPECT_FALSE(InkBounds(b).IsEmpty());
}

}  // namespace
}  // namespace qd
