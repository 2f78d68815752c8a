// The Office11 painter: the gradient header recipe, header content bands and the hot bar, headers
// at 100 percent, the expand button blended on a copy of the scheme bitmaps, the elements
// borrowed from the Native painter (and drawn the UltraFlat way without one), symbol colours by
// scheme, and scheme colours following a system colour change.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "lookandfeel/painter_draw_test_util.h"
#include "platform/os/uxtheme.h"
#include "platform/os/uxtheme_testing.h"
#include "ui/core/dxThemeManager.h"
#include "ui/core/dxUxTheme.h"
#include "ui/graphics/cxGraphicsColors.h"
#include "ui/graphics/dxOffice11.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersNative.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersOffice11.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersUltraFlat.h"

namespace qd::testing {
namespace {

class PainterOffice11Test : public PainterDrawTest {
 protected:
  void SetUp() override {
    os::RegisterThemeModules();
    os::ResetThemeForTesting();
    PainterDrawTest::SetUp();
    // The theme units start before the painters, as at start-up, so that the scheme hears
    // of theme changes.
    cxLookAndFeelPaintersBitmaps::Finalize();
    cxLookAndFeelPainters::Finalize();
    dxUxTheme::Initialize();
    dxThemeManager::Initialize();
    cxLookAndFeelPainters::Initialize();
    cxLookAndFeelPaintersBitmaps::Initialize();
    painter_ = std::make_unique<TcxOffice11LookAndFeelPainter>();
  }
  void TearDown() override {
    painter_.reset();
    cxLookAndFeelPaintersBitmaps::Finalize();
    cxLookAndFeelPainters::Finalize();
    dxThemeManager::Finalize();
    dxUxTheme::Finalize();
    cxLookAndFeelPainters::Initialize();
    cxLookAndFeelPaintersBitmaps::Initialize();
    os::ResetThemeForTesting();
    RefreshOffice11Colors();
    PainterDrawTest::TearDown();
  }
  static bool SamePixels(PainterProbe& A, PainterProbe& B) {
    for (int y = 0; y < A.Bitmap().H(); ++y)
      for (int x = 0; x < A.Bitmap().W(); ++x)
        if (A.Rgb(x, y) != B.Rgb(x, y)) return false;
    return true;
  }
  // The header colours by the letters of the masks.
  std::map<char, TColor> HeaderLegend() {
    const TColor t = painter_->HeaderTopColor(), b = painter_->HeaderBottomColor();
    const TColor d = painter_->HeaderDarkEdgeColor();
    return {{'T', t},
            {'B', b},
            {'D', d},
            {'H', painter_->HeaderHighlightEdgeColor()},
            {'m', dxGetMiddleRGB(t, b, 25)},
            {'p', dxGetMiddleRGB(t, d, 50)},
            {'q', dxGetMiddleRGB(b, d, 50)}};
  }

  std::unique_ptr<TcxOffice11LookAndFeelPainter> painter_;
  TcxUltraFlatLookAndFeelPainter ultraFlat_;
  TdxScaleFactor* sf_ = dxDefaultScaleFactor();
};

TEST_F(PainterOffice11Test, HeaderColoursComeFromTheScheme) {
  EXPECT_EQ(painter_->HeaderTopColor(),
            dxGetMiddleRGB(dxOffice11ToolbarsColor1, dxOffice11ToolbarsColor2, 50));
  EXPECT_EQ(painter_->HeaderBottomColor(), dxOffice11ToolbarsColor2);
  EXPECT_EQ(painter_->HeaderDarkEdgeColor(), dxOffice11BarSeparatorColor1);
  EXPECT_EQ(painter_->HeaderHighlightEdgeColor(), dxOffice11BarSeparatorColor2);
  EXPECT_EQ(painter_->DefaultHeaderColor(), painter_->HeaderTopColor());
  EXPECT_EQ(painter_->DefaultSchedulerDayHeaderColor(), painter_->HeaderTopColor());
  EXPECT_EQ(painter_->FilterDropDownButtonBorderColor(cxbsNormal), dxOffice11BarSeparatorColor1);
  EXPECT_EQ(painter_->FilterDropDownButtonBorderColor(cxbsHot), dxOffice11SelectedBorderColor);
  EXPECT_EQ(painter_->HeaderBorders(TcxNeighbors{nLeft, nTop}), cxBordersAll);
}

TEST_F(PainterOffice11Test, IdentityAndMetrics) {
  EXPECT_EQ(painter_->LookAndFeelName(), u"Office11");
  EXPECT_EQ(painter_->LookAndFeelStyle(), lfsOffice11);
  EXPECT_EQ(cxLookAndFeelPaintersManager()->GetPainter(lfsOffice11)->LookAndFeelName(), u"Office11");
  TdxScaleFactor big;
  big.Assign(3, 2, false);
  EXPECT_EQ(painter_->ScaledExpandButtonSize(&big), big.Apply(11));
  EXPECT_EQ(painter_->ScaledSmallExpandButtonSize(&big), big.Apply(11));
  // The clock is the size of its face image.
  const TSize face = painter_->ScaledClockSize(sf_);
  EXPECT_GT(face.cx, 0);
  EXPECT_EQ(painter_->ScaledClockSize(&big), big.Apply(face));
  EXPECT_EQ(painter_->SeparatorSize(), 2);
  EXPECT_EQ(painter_->GridBordersOverlapSize(), 0);
}

TEST_F(PainterOffice11Test, HeaderBorderRecipe) {
  struct Case {
    const char* name;
    TcxNeighbors neighbors;
    TcxBorders borders;
    std::vector<std::string> mask;
  };
  const Case cases[] = {
      {"alone",
       TcxNeighbors{},
       cxBordersAll,
       {"TTTTTp", "H....D", "H....D", "H....D", "H....D", "H....D", "B....q", "DDDDDD"}},
      {"between neighbours",
       TcxNeighbors{nLeft, nRight},
       cxBordersAll,
       {"TTTTTT", "T....T", "H....D", "H....D", "H....D", "m....m", "B....B", "DDDDDD"}},
      {"left and right sides only",
       TcxNeighbors{},
       TcxBorders{bLeft, bRight},
       {".....p", "H....D", "H....D", "H....D", "H....D", "H....D", "B....q", "......"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto probe = DrawProbe(6, 8, [&](TcxCanvas* cv, const TRect& r) {
      painter_->DrawHeaderBorder(cv, r, c.neighbors, c.borders);
    });
    EXPECT_TRUE(probe->Matches(c.mask, HeaderLegend()));
  }
}

TEST_F(PainterOffice11Test, ContentIsABandWithAGradientFootAndAHotBar) {
  const TRect bounds{1, 0, 5, 10};
  const auto draw = [&](TcxButtonState AState, bool AIsFooter) {
    return DrawProbe(6, 12, [&](TcxCanvas* cv, const TRect&) {
      painter_->DrawContent(cv, bounds, bounds, AState, taLeftJustify, vaTop, false, false, String(), nullptr,
                            clBlack, clRed, nullptr, AIsFooter);
    });
  };
  const TColor top = painter_->HeaderTopColor(), bottom = painter_->HeaderBottomColor();
  ASSERT_NE(top, bottom);
  // Normal: the upper colour down to 3 rows above the bottom, then 4 rows of gradient.
  auto normal = draw(cxbsNormal, false);
  normal->SavePng("painter_office11_content");
  for (int y = 0; y < 7; ++y) EXPECT_EQ(normal->Rgb(2, y), ColorPx(top)) << y;
  EXPECT_EQ(normal->Rgb(2, 6), ColorPx(top));
  EXPECT_NE(normal->Rgb(2, 9), ColorPx(top));
  EXPECT_NE(normal->Rgb(2, 8), normal->Rgb(2, 9));  // the gradient runs downwards
  EXPECT_EQ(normal->Rgb(0, 5), normal->Sentinel() & 0xFFFFFF);
  EXPECT_EQ(normal->Rgb(2, 10), normal->Sentinel() & 0xFFFFFF);
  // A footer is solid.
  auto footer = draw(cxbsNormal, true);
  for (int y = 0; y < 10; ++y) EXPECT_EQ(footer->Rgb(3, y), ColorPx(top)) << y;
  // Hot: the first toolbar colour, and the hot bar from one pixel left of the bounds and two
  // rows above the bottom to one row below it.
  auto hot = draw(cxbsHot, false);
  hot->SavePng("painter_office11_content_hot");
  EXPECT_EQ(hot->Rgb(2, 3), ColorPx(dxOffice11ToolbarsColor1));
  EXPECT_EQ(hot->Rgb(2, 7), ColorPx(dxOffice11ToolbarsColor1));
  EXPECT_EQ(hot->Rgb(2, 8), ColorPx(dxOffice11SelectedColor1));
  for (int x : {0, 1, 4}) EXPECT_NE(hot->Rgb(x, 10), hot->Sentinel() & 0xFFFFFF) << x;
  EXPECT_EQ(hot->Rgb(5, 9), hot->Sentinel() & 0xFFFFFF);
  EXPECT_EQ(hot->Rgb(2, 11), hot->Sentinel() & 0xFFFFFF);
}

// A background event of the caller is not asked by the header; and the header ignores the
// scale factor.
class Office11BackgroundSpy {
 public:
  bool Draw(TcxCanvas*, const TRect&) {
    ++calls;
    return true;
  }
  int calls = 0;
};

TEST_F(PainterOffice11Test, HeadersAreDrawnAtOneHundredPercentWithoutTheBackgroundEvent) {
  TdxScaleFactor big;
  big.Assign(3, 2, false);
  Office11BackgroundSpy spy;
  const auto draw = [&](TdxScaleFactor* AScaleFactor) {
    return DrawProbe(30, 20, [&](TcxCanvas* cv, const TRect& r) {
      painter_->DrawScaledHeader(cv, r, r, TcxNeighbors{nLeft}, cxBordersAll, cxbsNormal, taLeftJustify,
                                 vaTop, false, false, String(), nullptr, clBlack, clRed, AScaleFactor,
                                 TcxDrawBackgroundEvent(&spy, &Office11BackgroundSpy::Draw), false, true);
    });
  };
  auto atOne = draw(sf_);
  auto atThreeHalves = draw(&big);
  atOne->SavePng("painter_office11_header");
  EXPECT_TRUE(SamePixels(*atOne, *atThreeHalves));
  EXPECT_EQ(spy.calls, 0);
  EXPECT_EQ(atOne->Rgb(5, 0), ColorPx(painter_->HeaderTopColor()));
  EXPECT_EQ(atOne->Rgb(5, 19), ColorPx(painter_->HeaderDarkEdgeColor()));
  EXPECT_EQ(atOne->Rgb(5, 5), ColorPx(painter_->HeaderTopColor()));  // the band
}

TEST_F(PainterOffice11Test, HeaderSectionAlwaysHasARightNeighbour) {
  auto probe = DrawProbe(12, 10, [&](TcxCanvas* cv, const TRect& r) {
    painter_->DrawScaledHeaderControlSection(cv, r, r, TcxNeighbors{}, cxBordersAll, cxbsNormal,
                                             taLeftJustify, vaTop, false, false, String(), nullptr, clBlack,
                                             clRed, sf_);
  });
  // The right column in the with-neighbour form: the top colour at row 1, the dark edge from
  // row 2, the middle colour at bottom-3, the bottom colour at bottom-2.
  const TColor t = painter_->HeaderTopColor(), b = painter_->HeaderBottomColor();
  EXPECT_EQ(probe->Rgb(11, 0), ColorPx(t));
  EXPECT_EQ(probe->Rgb(11, 1), ColorPx(t));
  EXPECT_EQ(probe->Rgb(11, 2), ColorPx(painter_->HeaderDarkEdgeColor()));
  EXPECT_EQ(probe->Rgb(11, 7), ColorPx(dxGetMiddleRGB(t, b, 25)));
  EXPECT_EQ(probe->Rgb(11, 8), ColorPx(b));
}

TEST_F(PainterOffice11Test, ExpandButtonBlendsItsCornersOnACopy) {
  ASSERT_NE(dxOffice11ExpandButtonBitmap1, nullptr);
  ASSERT_EQ(dxOffice11ExpandButtonBitmap1->Width(), 11);
  ASSERT_EQ(dxOffice11ExpandButtonBitmap1->Height(), 11);
  const auto schemePixels = [](TBitmap* ABitmap) {
    std::vector<TColor> pixels;
    for (int y = 0; y < 11; ++y)
      for (int x = 0; x < 11; ++x) pixels.push_back(ABitmap->Canvas()->Pixels(x, y));
    return pixels;
  };
  const auto minus = schemePixels(dxOffice11ExpandButtonBitmap1);
  const auto plus = schemePixels(dxOffice11ExpandButtonBitmap2);
  for (TColor background : {clRed, clLime}) {
    SCOPED_TRACE(background);
    for (bool expanded : {true, false}) {
      auto probe = DrawProbe(13, 13, [&](TcxCanvas* cv, const TRect& r) {
        cv->FillRect(r, background);
        painter_->DrawScaledExpandButton(cv, TRect{1, 1, 12, 12}, expanded, sf_);
      });
      probe->SavePng(expanded ? "painter_office11_expand_minus" : "painter_office11_expand_plus");
      const uint32_t light = ColorPx(dxGetMiddleRGB(dxOffice11ExpandButtonColor1, background, 25));
      const uint32_t dark = ColorPx(dxGetMiddleRGB(dxOffice11ExpandButtonColor2, background, 25));
      EXPECT_EQ(probe->Rgb(1, 1), light);
      EXPECT_EQ(probe->Rgb(11, 11), dark);
      EXPECT_EQ(probe->Rgb(1, 11), dark);
      EXPECT_EQ(probe->Rgb(11, 1), dark);
      // The sign: a minus always, a plus only collapsed.
      EXPECT_EQ(probe->Rgb(6, 6), ColorPx(dxOffice11ExpandButtonColor2));
      EXPECT_EQ(probe->Rgb(6, 4) == ColorPx(dxOffice11ExpandButtonColor2), !expanded);
      EXPECT_EQ(probe->Rgb(0, 0), ColorPx(background));
    }
  }
  EXPECT_EQ(schemePixels(dxOffice11ExpandButtonBitmap1), minus);
  EXPECT_EQ(schemePixels(dxOffice11ExpandButtonBitmap2), plus);
  EXPECT_EQ(painter_->ScaledSmallExpandButtonSize(sf_), 11);
}

TEST_F(PainterOffice11Test, ScrollBarsAndTheNavigatorButtonAreBorrowedFromNative) {
  TcxCustomLookAndFeelPainter* native = cxLookAndFeelPaintersManager()->GetPainter(lfsNative);
  ASSERT_NE(native, nullptr);
  const auto drawPart = [&](TcxCustomLookAndFeelPainter* APainter) {
    return DrawProbe(17, 40, [&](TcxCanvas* cv, const TRect& r) {
      APainter->DoDrawScaledScrollBarPart(cv, false, TRect{0, 0, 17, 17}, sbpLineUp, cxbsHot, sf_);
      APainter->DoDrawScaledScrollBarPart(cv, false, TRect{0, 17, 17, 40}, sbpThumbnail, cxbsNormal, sf_);
    });
  };
  {
    os::ScopedThemeRecorder recorder;
    auto borrowed = drawPart(painter_.get());
    ASSERT_FALSE(recorder.Calls().empty());
    EXPECT_EQ(recorder.Calls()[0].className, u"ScrollBar");
    auto nativeOwn = drawPart(native);
    EXPECT_TRUE(SamePixels(*borrowed, *nativeOwn));
  }
  EXPECT_EQ(painter_->ScaledScrollBarMinimalThumbSize(true, sf_),
            native->ScaledScrollBarMinimalThumbSize(true, sf_));

  // Without a Native painter: the UltraFlat drawing (buttons framed and filled in this
  // painter's colours), and no theme call.
  ASSERT_TRUE(cxLookAndFeelPaintersManager()->Unregister(u"Native"));
  os::ScopedThemeRecorder recorder;
  auto own = drawPart(painter_.get());
  own->SavePng("painter_office11_scrollbar_without_native");
  EXPECT_EQ(own->Rgb(0, 0), ColorPx(dxOffice11SelectedBorderColor));  // the hot line button
  EXPECT_EQ(own->Rgb(2, 2), ColorPx(dxOffice11SelectedColor1));
  EXPECT_EQ(own->Rgb(0, 17), ColorPx(clBtnText));  // the normal thumb
  EXPECT_EQ(own->Rgb(8, 28), ColorPx(dxOffice11DockColor1));
  auto navigator = DrawProbe(20, 20, [&](TcxCanvas* cv, const TRect& r) {
    painter_->DrawSchedulerScaledNavigatorButton(cv, r, cxbsHot, sf_);
  });
  EXPECT_EQ(navigator->Rgb(0, 0), ColorPx(dxOffice11SelectedBorderColor));
  EXPECT_EQ(navigator->Rgb(10, 10), ColorPx(dxOffice11SelectedColor1));
  EXPECT_TRUE(recorder.Calls().empty());
  EXPECT_EQ(painter_->ScaledScrollBarMinimalThumbSize(true, sf_),
            ultraFlat_.ScaledScrollBarMinimalThumbSize(true, sf_));
}

TEST_F(PainterOffice11Test, GroupBoxesAreNativeOnlyWhileButtonsAreThemed) {
  const auto draw = [&](TcxCustomLookAndFeelPainter* APainter) {
    return DrawProbe(
        20, 16, [&](TcxCanvas* cv, const TRect& r) { APainter->DrawGroupBoxFrame(cv, r, true, cxgpTop); });
  };
  {
    os::ScopedThemeRecorder recorder;
    draw(painter_.get());
    ASSERT_EQ(recorder.Calls().size(), 1u);
    EXPECT_EQ(recorder.Calls()[0].className, u"Button");
    EXPECT_EQ(recorder.Calls()[0].part, 4);
  }
  // Visual styles off: the UltraFlat frame and text colour.
  os::SetVisualStylesEnabled(false);
  os::ScopedThemeRecorder recorder;
  auto own = draw(painter_.get());
  EXPECT_TRUE(SamePixels(*own, *draw(&ultraFlat_)));
  EXPECT_EQ(own->Rgb(0, 8), ColorPx(clHighlight));
  EXPECT_EQ(painter_->GroupBoxTextColor(true, cxgpTop), ultraFlat_.GroupBoxTextColor(true, cxgpTop));
  EXPECT_TRUE(recorder.Calls().empty());
}

TEST_F(PainterOffice11Test, PressedSymbolColourDependsOnTheScheme) {
  // Visual styles on: the standard blue scheme, so a pressed symbol keeps the text colour.
  ASSERT_TRUE(IsXPStandardScheme());
  EXPECT_EQ(painter_->ButtonSymbolColor(cxbsPressed), dxOffice11TextEnabledColor);
  EXPECT_EQ(painter_->ButtonSymbolColor(cxbsDisabled), dxOffice11TextDisabledColor);
  EXPECT_EQ(painter_->ButtonSymbolColor(cxbsHot), dxOffice11TextEnabledColor);
  os::SetVisualStylesEnabled(false);
  Pump();
  ASSERT_FALSE(IsXPStandardScheme());
  EXPECT_EQ(painter_->ButtonSymbolColor(cxbsPressed), clHighlightText);
  EXPECT_EQ(painter_->ButtonSymbolColor(cxbsNormal), dxOffice11TextEnabledColor);
}

TEST_F(PainterOffice11Test, SchemeColoursFollowASystemColourChange) {
  os::SetVisualStylesEnabled(false);
  const INT index = COLOR_BTNFACE;
  const COLORREF saved = GetSysColor(COLOR_BTNFACE);
  const COLORREF face = RGB(200, 100, 50);
  SetSysColors(1, &index, &face);
  EXPECT_EQ(painter_->ButtonColor(cxbsNormal), static_cast<TColor>(face));
  EXPECT_EQ(painter_->DefaultControlColor(), dxOffice11DockColor2);
  EXPECT_EQ(
      painter_->HeaderTopColor(),
      dxGetMiddleRGB(dxGetMiddleRGB(static_cast<TColor>(face), clWindow, 22), dxOffice11ToolbarsColor2, 50));
  // The next paint uses the new colours.
  auto probe = DrawProbe(8, 8, [&](TcxCanvas* cv, const TRect& r) { painter_->DrawBorder(cv, r); });
  EXPECT_EQ(probe->Rgb(0, 0), ColorPx(dxOffice11ControlBorderColor));
  SetSysColors(1, &index, &saved);
}

TEST_F(PainterOffice11Test, SeparatorsAndButtonFrames) {
  auto separator =
      DrawProbe(4, 4, [&](TcxCanvas* cv, const TRect& r) { painter_->DoDrawSeparator(cv, r, true); });
  EXPECT_TRUE(separator->Matches({"111.", "1222", "1222", ".222"},
                                 {{'1', dxOffice11BarSeparatorColor1}, {'2', dxOffice11BarSeparatorColor2}}));
  const struct {
    TcxButtonState state;
    TColor frame;
    TColor face;
  } cases[] = {{cxbsNormal, clBtnText, dxOffice11DockColor1},
               {cxbsHot, dxOffice11SelectedBorderColor, dxOffice11SelectedColor1},
               {cxbsPressed, dxOffice11SelectedBorderColor, dxOffice11SelectedDownColor1},
               {cxbsDisabled, dxOffice11TextDisabledColor, clBtnFace}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.state);
    auto probe =
        DrawProbe(4, 4, [&](TcxCanvas* cv, const TRect& r) { painter_->DrawButtonBorder(cv, r, c.state); });
    EXPECT_TRUE(probe->Matches({"####", "#..#", "#..#", "####"}, c.frame));
    EXPECT_EQ(painter_->ButtonColor(c.state), c.face);
  }
}

TEST_F(PainterOffice11Test, TubeGradientsRunFromTheFirstColourAcrossTheirAxis) {
  struct Case {
    const char* name;
    std::function<void(TcxCanvas*, const TRect&)> draw;
    TRect area;  // where the gradient lies
    bool horizontal;
    TColor first, last;
  };
  const TRect r{0, 0, 12, 16};
  const Case cases[] = {
      {"token hot",
       [&](TcxCanvas* c, const TRect&) { painter_->DrawScaledTokenBackground(c, r, cxbsHot, sf_); },
       cxRectInflate(r, -1), false, dxOffice11SelectedColor1, dxOffice11SelectedColor2},
      {"token pressed",
       [&](TcxCanvas* c, const TRect&) { painter_->DrawScaledTokenBackground(c, r, cxbsPressed, sf_); },
       cxRectInflate(r, -1), false, dxOffice11DownedColor, dxOffice11SelectedColor1},
      {"breadcrumb button hot",
       [&](TcxCanvas* c, const TRect&) {
         painter_->DrawBreadcrumbEditCustomButton(c, r, TcxBorders{}, dxbcbsHot);
       },
       r, false, dxOffice11SelectedColor1, dxOffice11SelectedColor2},
      {"breadcrumb button pressed",
       [&](TcxCanvas* c, const TRect&) {
         painter_->DrawBreadcrumbEditCustomButton(c, r, TcxBorders{}, dxbcbsPressed);
       },
       r, false, dxOffice11DownedColor, dxOffice11SelectedColor1},
      {"list box gutter",
       [&](TcxCanvas* c, const TRect&) { painter_->DrawDropDownListBoxScaledGutterBackground(c, r, sf_); }, r,
       true, dxOffice11MenuIndentColor1, dxOffice11MenuIndentColor2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_NE(ColorPx(c.first), ColorPx(c.last));
    auto probe = DrawProbe(12, 16, c.draw);
    const TRect a = c.area;
    // Starts in the first colour, changes along the axis and is constant across it.
    EXPECT_EQ(probe->Rgb(a.Left, a.Top), ColorPx(c.first));
    if (c.horizontal) {
      EXPECT_NE(probe->Rgb(a.Right - 1, a.Top), probe->Rgb(a.Left, a.Top));
      for (int y = a.Top; y < a.Bottom; ++y)
        EXPECT_EQ(probe->Rgb(a.Right - 1, y), probe->Rgb(a.Right - 1, a.Top));
    } else {
      EXPECT_NE(probe->Rgb(a.Left, a.Bottom - 1), probe->Rgb(a.Left, a.Top));
      for (int x = a.Left; x < a.Right; ++x)
        EXPECT_EQ(probe->Rgb(x, a.Bottom - 1), probe->Rgb(a.Left, a.Bottom - 1));
    }
  }
  // The token's frame; a normal token is the frame alone.
  auto normal = DrawProbe(12, 16, [&](TcxCanvas* c, const TRect&) {
    painter_->DrawScaledTokenBackground(c, r, cxbsNormal, sf_);
  });
  EXPECT_EQ(normal->Rgb(0, 5), ColorPx(dxOffice11ControlBorderColor));
  EXPECT_EQ(normal->Rgb(5, 5), normal->Sentinel() & 0xFFFFFF);
  // A normal breadcrumb button is solid in the header's top colour, framed on the given sides
  // only; an empty one draws nothing.
  auto button = DrawProbe(12, 16, [&](TcxCanvas* c, const TRect&) {
    painter_->DrawBreadcrumbEditCustomButton(c, r, TcxBorders{bLeft}, dxbcbsNormal);
    painter_->DrawBreadcrumbEditCustomButton(c, TRect{4, 4, 4, 8}, cxBordersAll, dxbcbsHot);
  });
  EXPECT_EQ(button->Rgb(0, 8), ColorPx(dxOffice11DropDownBorderColor1));
  EXPECT_EQ(button->Rgb(11, 8), ColorPx(painter_->HeaderTopColor()));
  EXPECT_EQ(button->Rgb(5, 15), ColorPx(painter_->HeaderTopColor()));
  EXPECT_EQ(button->Rgb(4, 5), ColorPx(painter_->HeaderTopColor()));
}

}  // namespace
}  // namespace qd::testing
