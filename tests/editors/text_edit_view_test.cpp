// The text editor's view data and view info: draw flags and auto-height wrapping, the text
// area, draw values with password characters and selection colours, content size, baseline,
// hints, and the text drawn by pixels.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editors/edit_test_util.h"
#include "platform/os/uxtheme_testing.h"
#include "tests/graphics/graphics_test_util.h"
#include "ui/editors/cxTextEdit.h"
#include "ui/graphics/cxGraphicsText.h"

namespace qd::testing {
namespace {

// Text properties, a style and a text view info calculated without a control, drawn into a
// memory bitmap.
class TextEditView : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    properties = std::make_unique<TcxTextEditProperties>(nullptr);
    style = std::make_unique<TcxEditStyle>(nullptr, false);
    style->LookAndFeel()->SetKind(lfUltraFlat);
    style->LookAndFeel()->SetNativeStyle(false);
    style->SetBorderStyle(cbsSingle);
    style->SetTransparentBorder(false);
    style->SetColor(clWhite);
    style->SetTextColor(clBlack);
    style->Font()->SetName(kTestFontName);
    style->Font()->SetSize(10);
    bitmap = std::make_unique<TestBitmap>(kWidth, kHeight);
    canvas = std::make_unique<TcxCanvas>(bitmap->Canvas());
  }
  void TearDown() override {
    viewInfo.reset();
    canvas.reset();
    bitmap.reset();
    properties.reset();
    style.reset();
    os::SetVisualStylesEnabled(true);
    EditTest::TearDown();
  }
  std::unique_ptr<TcxCustomTextEditViewData> NewViewData(bool AInplace = false) {
    return std::unique_ptr<TcxCustomTextEditViewData>(
        static_cast<TcxCustomTextEditViewData*>(properties->CreateViewData(style.get(), AInplace)));
  }
  // Calculates for ABounds and gives the view info the edit value's text.
  TcxCustomTextEditViewInfo* Calculate(
      const TRect& ABounds, const Variant& AValue,
      const std::function<void(TcxCustomTextEditViewData*)>& ASetUp = nullptr) {
    std::unique_ptr<TcxCustomTextEditViewData> viewData = NewViewData();
    if (ASetUp) ASetUp(viewData.get());
    if (!viewInfo) viewInfo = std::make_unique<TcxCustomTextEditViewInfo>();
    viewData->EditValueToDrawValue(AValue, viewInfo.get());
    viewData->Calculate(canvas.get(), ABounds, cxInvalidPoint, cxmbNone, {}, viewInfo.get(), false);
    return viewInfo.get();
  }
  void Paint() {
    bitmap->Fill(kSentinel);
    viewInfo->Paint(canvas.get());
  }
  int RowHeight() {
    canvas->SetFont(style->GetVisibleFont());
    return cxTextHeight(canvas->Handle());
  }
  // Pixels of AColor inside R.
  int Count(TColor AColor, const TRect& R) {
    int n = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
      for (int x = R.Left; x < R.Right; ++x) n += bitmap->Rgb(x, y) == ColorPx(AColor);
    return n;
  }
  // Text ink: pixels that are neither the background nor the sentinel, left to right.
  int FirstInkColumn(const TRect& R) {
    for (int x = R.Left; x < R.Right; ++x)
      for (int y = R.Top; y < R.Bottom; ++y) {
        const uint32_t px = bitmap->Rgb(x, y);
        if (px != ColorPx(clWhite) && px != (kSentinel & 0xFFFFFF)) return x;
      }
    return -1;
  }

  static constexpr int kWidth = 160;
  static constexpr int kHeight = 40;
  std::unique_ptr<TcxTextEditProperties> properties;
  std::unique_ptr<TcxEditStyle> style;
  std::unique_ptr<TestBitmap> bitmap;
  std::unique_ptr<TcxCanvas> canvas;
  std::unique_ptr<TcxCustomTextEditViewInfo> viewInfo;
};

TEST_F(TextEditView, DrawTextFlagsFollowAlignmentAndDirection) {
  struct Case {
    TAlignment horz;
    TcxEditVertAlignment vert;
    bool rtlAlignment, rtlReading;
    uint32_t expected;
  };
  constexpr uint32_t kAlways = CXTO_SINGLELINE | CXTO_PREVENT_LEFT_EXCEED | CXTO_PREVENT_TOP_EXCEED;
  const Case cases[] = {
      {taLeftJustify, taTopJustify, false, false, kAlways | CXTO_LEFT | CXTO_TOP},
      {taRightJustify, taBottomJustify, false, false, kAlways | CXTO_RIGHT | CXTO_BOTTOM},
      {taCenter, taVCenter, false, false, kAlways | CXTO_CENTER_HORIZONTALLY | CXTO_CENTER_VERTICALLY},
      {taLeftJustify, taVCenter, true, false, kAlways | CXTO_RIGHT | CXTO_CENTER_VERTICALLY},
      {taCenter, taTopJustify, true, true, kAlways | CXTO_CENTER_HORIZONTALLY | CXTO_RTLREADING},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.horz) + "/" + std::to_string(c.vert));
    properties->Alignment()->SetHorz(c.horz);
    properties->Alignment()->SetVert(c.vert);
    TcxCustomTextEditViewInfo* vi = Calculate(TRect{0, 0, 120, 24}, Variant(String(u"abc")), [&](auto* vd) {
      vd->UseRightToLeftAlignment = c.rtlAlignment;
      vd->UseRightToLeftReading = c.rtlReading;
    });
    EXPECT_EQ(vi->DrawTextFlags, c.expected);
  }
}

TEST_F(TextEditView, AutoHeightWrapsAndMovesTextThatDoesNotFitToTheTop) {
  const int row = RowHeight();
  struct Case {
    const char* name;
    int maxLineCount;
    bool centreKept;
  };
  const Case cases[] = {{"no row limit", 0, false}, {"a limit below the row count", 2, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    properties->Alignment()->SetVert(taVCenter);
    // Three words, each wider than a third of the editor: three rows in a text area two rows high.
    TcxCustomTextEditViewInfo* vi =
        Calculate(TRect{0, 0, 70, 2 * row + 6}, Variant(String(u"wwwwww wwwwww wwwwww")), [&](auto* vd) {
          vd->PaintOptions.Include(epoAutoHeight);
          vd->MaxLineCount = c.maxLineCount;
        });
    EXPECT_FALSE(vi->DrawTextFlags & CXTO_SINGLELINE);
    EXPECT_TRUE(vi->DrawTextFlags & CXTO_WORDBREAK);
    EXPECT_TRUE(vi->DrawTextFlags & CXTO_EDITCONTROL);
    EXPECT_FALSE(vi->DrawTextFlags & CXTO_BOTTOM);
    EXPECT_EQ((vi->DrawTextFlags & CXTO_CENTER_VERTICALLY) != 0, c.centreKept);
  }
  // Text that fits one row stays single-line.
  TcxCustomTextEditViewInfo* vi = Calculate(TRect{0, 0, 150, 2 * row + 6}, Variant(String(u"ab")),
                                            [](auto* vd) { vd->PaintOptions.Include(epoAutoHeight); });
  EXPECT_TRUE(vi->DrawTextFlags & CXTO_SINGLELINE);
  EXPECT_TRUE(vi->DrawTextFlags & CXTO_CENTER_VERTICALLY);
}

TEST_F(TextEditView, TextAreaKeepsFixedStylesOnePixelFurtherFromTheFrame) {
  TcxCustomTextEditViewInfo* vi = Calculate(TRect{0, 0, 120, 24}, Variant(String(u"a")));
  const TRect client = vi->ClientRect;
  const TRect offsets = NewViewData()->EditContentParams.Offsets;
  EXPECT_EQ(offsets, (TRect{1, 1, 1, 3}));
  EXPECT_EQ(vi->TextRect, cxRectContent(client, offsets));
  properties->SetHideCursor(true);  // esNoEdit
  vi = Calculate(TRect{0, 0, 120, 24}, Variant(String(u"a")));
  EXPECT_EQ(vi->TextRect, (TRect{client.Left + offsets.Left + 1, client.Top + offsets.Top + 1,
                                 client.Right - offsets.Right, client.Bottom - offsets.Bottom + 1}));
}

TEST_F(TextEditView, DrawValueShowsPasswordsAsBulletsOnlyInNativeStyleWithATheme) {
  properties->SetEchoMode(eemPassword);
  struct Case {
    bool native;
    bool themed;
    String expected;
  };
  const Case cases[] = {
      {true, true, u"\u25CF\u25CF\u25CF\u25CF"},
      {true, false, u"****"},
      {false, true, u"****"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.native) + std::to_string(c.themed));
    os::SetVisualStylesEnabled(c.themed);
    style->LookAndFeel()->SetNativeStyle(c.native);
    TcxCustomTextEditViewInfo* vi = Calculate(TRect{0, 0, 120, 24}, Variant(String(u"abcd")));
    EXPECT_EQ(vi->Text, c.expected);
    EXPECT_EQ(vi->NeedDrawPasswordBullets(), c.native && c.themed);
    TcxCanvas* cv = canvas.get();
    cv->Font()->SetName(kTestFontName);
    vi->PrepareCanvasFont(cv);
    EXPECT_EQ(cv->Font()->Name(), c.native && c.themed ? String(u"Segoe UI") : String(kTestFontName));
  }
}

TEST_F(TextEditView, SelectionColours) {
  struct Case {
    const char* name;
    TColor styleColor, selText, selBackground;
    TColor expectedText, expectedBackground;
  };
  const Case cases[] = {
      {"system colours", clWhite, clDefault, clDefault, clHighlightText, clHighlight},
      {"on a highlight-coloured editor", clHighlight, clDefault, clDefault, clWhite, clBlack},
      {"text colour with its inverse", clWhite, TColor(0x0000FF), clDefault, TColor(0x0000FF),
       TColor(0xFFFF00)},
      {"background with its inverse", clWhite, clDefault, TColor(0x00FF00), TColor(0xFF00FF),
       TColor(0x00FF00)},
      {"both given", clWhite, clRed, clBlue, clRed, clBlue},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    style->SetColor(c.styleColor);
    TcxCustomTextEditViewInfo* vi = Calculate(TRect{0, 0, 120, 24}, Variant(String(u"abcd")), [&](auto* vd) {
      vd->SelStart = 1;
      vd->SelLength = 2;
      vd->SelTextColor = c.selText;
      vd->SelBackgroundColor = c.selBackground;
    });
    EXPECT_EQ(ColorToRGB(vi->SelTextColor), ColorToRGB(c.expectedText));
    EXPECT_EQ(ColorToRGB(vi->SelBackgroundColor), ColorToRGB(c.expectedBackground));
  }
}

TEST_F(TextEditView, ContentSize) {
  const int row = RowHeight();
  std::unique_ptr<TcxCustomTextEditViewData> vd = NewViewData();
  const TSize correction = vd->GetEditContentSizeCorrection();
  canvas->SetFont(style->GetVisibleFont());
  const int textWidth = canvas->TextWidth(u"Hello");
  const uint32_t flags = vd->GetDrawTextFlags();
  // Best fit: the text's width and one row, with the corrections.
  EXPECT_EQ(GetTextEditContentSize(canvas.get(), vd.get(), u"Hello", flags, cxDefaultEditSizeProperties),
            (TSize{textWidth + correction.cx, row + correction.cy}));
  EXPECT_EQ(GetTextEditContentSize(canvas.get(), vd.get(), u"", flags, cxDefaultEditSizeProperties),
            (TSize{correction.cx, row + correction.cy}));
  // For a width: as many rows as the text breaks into.
  const TcxEditSizeProperties narrow{-1, 0, textWidth + 3};
  EXPECT_EQ(GetTextEditContentSize(canvas.get(), vd.get(), u"Hello Hello Hello", flags, narrow).cy,
            3 * row + correction.cy);
  EXPECT_EQ(GetTextEditContentSize(canvas.get(), vd.get(), u"Hello Hello Hello", flags, narrow, 2),
            (TSize{textWidth + 3, 2 * row + correction.cy}));
  // An empty text is one row high, or nothing with zero height allowed.
  EXPECT_EQ(GetTextEditContentSize(canvas.get(), vd.get(), u"", flags, narrow).cy, row + correction.cy);
  vd->PaintOptions.Include(epoAllowZeroHeight);
  EXPECT_EQ(GetTextEditContentSize(canvas.get(), vd.get(), u"", flags, narrow).cy, 0);
  // No room at all.
  EXPECT_EQ(GetTextEditContentSize(canvas.get(), vd.get(), u"Hello", flags, TcxEditSizeProperties{-1, 0, 0}),
            (TSize{0, row + correction.cy}));
}

TEST_F(TextEditView, TextBaseLine) {
  TEXTMETRICW tm{};
  canvas->SetFont(style->GetVisibleFont());
  GetTextMetricsW(canvas->Handle(), &tm);
  struct Case {
    uint32_t vert;
    int height;
    int expected;
  };
  const Case cases[] = {
      {CXTO_TOP, 30, 5 + tm.tmAscent + 1},
      {CXTO_BOTTOM, 30, 35 - tm.tmDescent + 1},
      {CXTO_CENTER_VERTICALLY, 30, 5 + (30 - tm.tmHeight) / 2 + tm.tmAscent + 1},
      // One pixel lower than the font: the half difference rounds toward zero.
      {CXTO_CENTER_VERTICALLY, tm.tmHeight - 1, 5 + tm.tmAscent + 1},
  };
  TcxCustomTextEditViewInfo vi;
  vi.Font = style->GetVisibleFont();
  for (const Case& c : cases) {
    vi.TextRect = TRect{3, 5, 100, 5 + c.height};
    vi.DrawTextFlags = CXTO_SINGLELINE | c.vert;
    EXPECT_EQ(vi.GetTextBaseLine(), c.expected);
  }
}

TEST_F(TextEditView, TextIsDrawnInTheTextAreaWithTheSelection) {
  properties->SetHideCursor(true);  // the view info draws the text itself
  TcxCustomTextEditViewInfo* vi =
      Calculate(TRect{0, 0, kWidth, 24}, Variant(String(u"Hello world")), [](auto* vd) {
        vd->SelStart = 6;
        vd->SelLength = 5;
      });
  Paint();
  bitmap->SavePng("text_edit_view_selection", 4);
  const TRect text = vi->TextRect;
  // The selection is drawn in the highlight colours over "world", the rest in the text colour.
  const int selected = Count(clHighlight, text);
  EXPECT_GT(selected, 20);
  EXPECT_GT(Count(clHighlightText, text), 5);
  EXPECT_GT(Count(clBlack, text), 10);
  // Nothing of the text leaks out of the text area into the frame's inside.
  EXPECT_EQ(Count(clBlack, TRect{0, text.Bottom, kWidth, 24}), 0);
  EXPECT_EQ(Count(clHighlight, TRect{0, 0, text.Left, 24}), 0);

  // A selection starting beyond the text draws none.
  Calculate(TRect{0, 0, kWidth, 24}, Variant(String(u"Hello world")), [](auto* vd) {
    vd->SelStart = 40;
    vd->SelLength = 3;
  });
  Paint();
  EXPECT_EQ(Count(clHighlight, text), 0);
  EXPECT_GT(Count(clBlack, text), 20);
}

TEST_F(TextEditView, PasswordBulletsAreDrawnAsRoundDots) {
  properties->SetHideCursor(true);
  properties->SetEchoMode(eemPassword);
  style->LookAndFeel()->SetNativeStyle(true);
  TcxCustomTextEditViewInfo* vi = Calculate(TRect{0, 0, kWidth, 24}, Variant(String(u"abc")));
  ASSERT_EQ(vi->Text, u"\u25CF\u25CF\u25CF");
  Paint();
  bitmap->SavePng("text_edit_view_bullets", 4);
  // Three separate dots of the same width on the text's row.
  const TRect text = vi->TextRect;
  const int middle = vi->GetTextBaseLine() - 4;
  std::vector<std::pair<int, int>> runs;
  for (int x = text.Left; x < text.Right; ++x) {
    const bool ink =
        bitmap->Rgb(x, middle) != ColorPx(clWhite) && bitmap->Rgb(x, middle) != (kSentinel & 0xFFFFFF);
    if (ink && (runs.empty() || runs.back().second != x))
      runs.push_back({x, x + 1});
    else if (ink)
      runs.back().second = x + 1;
  }
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].second - runs[0].first, runs[2].second - runs[2].first);
  EXPECT_GE(runs[0].second - runs[0].first, 3);
}

TEST_F(TextEditView, CopiedAndMovedViewInfosDrawFromTheirOwnRows) {
  properties->SetHideCursor(true);
  Calculate(TRect{0, 0, 100, 24}, Variant(String(u"Hello")));
  Paint();  // prepares the rows
  const TRect textRect = viewInfo->TextRect;
  const int firstInk = FirstInkColumn(textRect);
  ASSERT_GE(firstInk, 0);

  // A copy made before a repaint (as the editor does to compare states) draws the same text even
  // after the original's text changed and the original went away.
  auto copy = std::make_unique<TcxCustomTextEditViewInfo>();
  copy->Assign(viewInfo.get());
  viewInfo->Text = u"Other text";
  Paint();
  viewInfo.reset();
  bitmap->Fill(kSentinel);
  copy->Paint(canvas.get());
  EXPECT_EQ(FirstInkColumn(textRect), firstInk);

  // Offset moves the prepared rows with the view info.
  copy->Offset(50, 0);
  bitmap->Fill(kSentinel);
  copy->Paint(canvas.get());
  bitmap->SavePng("text_edit_view_offset", 4);
  EXPECT_EQ(copy->TextRect, cxRectOffset(textRect, 50, 0));
  EXPECT_EQ(FirstInkColumn(copy->TextRect), firstInk + 50);
}

TEST_F(TextEditView, HintForTextThatDoesNotFit) {
  properties->SetHideCursor(true);
  TcxCustomTextEditViewInfo* vi = Calculate(TRect{0, 0, 60, 24}, Variant(String(u"A rather long text")));
  bool multiLine = true;
  String text;
  TRect rect;
  const TPoint inside{vi->TextRect.Left + 2, vi->TextRect.Top + 2};
  EXPECT_TRUE(vi->NeedShowHint(canvas.get(), inside, 0, rect, multiLine, text, TRect{}));
  EXPECT_EQ(text, u"A rather long text");
  EXPECT_FALSE(multiLine);
  EXPECT_EQ(rect, vi->TextRect);

  vi = Calculate(TRect{0, 0, kWidth, 24}, Variant(String(u"Short")));
  EXPECT_FALSE(vi->NeedShowHint(canvas.get(), inside, 0, rect, multiLine, text, TRect{}));
}

}  // namespace
}  // namespace qd::testing
