// The Standard, Flat and UltraFlat painters: their registration at start-up, their metrics, and
// the pixels of their overrides (classic rings, header fix-ups, tab borders, scroll-bar parts,
// hot tints and one-pixel frames).
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "lookandfeel/painter_draw_test_util.h"
#include "ui/graphics/cxGraphicsColors.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersBitmaps.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersFlat.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersStandard.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersUltraFlat.h"

namespace qd::testing {
namespace {

// Legend of the classic colours.
const std::map<char, TColor> kClassic = {{'H', clBtnHighlight}, {'S', clBtnShadow}, {'D', cl3DDkShadow},
                                         {'L', cl3DLight},      {'F', clBtnFace},   {'K', clBlack}};

class PainterClassicTest : public PainterDrawTest {
 protected:
  // True when two drawings of the same size have the same pixels.
  static bool SamePixels(PainterProbe& A, PainterProbe& B) {
    for (int y = 0; y < A.Bitmap().H(); ++y)
      for (int x = 0; x < A.Bitmap().W(); ++x)
        if (A.Rgb(x, y) != B.Rgb(x, y)) return false;
    return true;
  }
  // The smallest rectangle of the pixels in AColor (empty when there is none).
  static TRect BoundsOf(PainterProbe& AProbe, TColor AColor) {
    const uint32_t px = ColorPx(AColor);
    TRect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int y = 0; y < AProbe.Bitmap().H(); ++y)
      for (int x = 0; x < AProbe.Bitmap().W(); ++x)
        if (AProbe.Rgb(x, y) == px)
          r = TRect{std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1),
                    std::max(r.Bottom, y + 1)};
    return r.Left == INT32_MAX ? TRect{} : r;
  }
  static bool Untouched(PainterProbe& AProbe) {
    for (int y = 0; y < AProbe.Bitmap().H(); ++y)
      for (int x = 0; x < AProbe.Bitmap().W(); ++x)
        if (AProbe.Rgb(x, y) != (AProbe.Sentinel() & 0xFFFFFF)) return false;
    return true;
  }

  TcxStandardLookAndFeelPainter standard_;
  TcxFlatLookAndFeelPainter flat_;
  TcxUltraFlatLookAndFeelPainter ultraFlat_;
  TdxScaleFactor* sf_ = dxDefaultScaleFactor();
};

// --- Registration and metrics ------------------------------------------------------------------------

std::vector<std::string>* gJoinOrder = nullptr;

// Run by the registry after each painter joins: records the names not seen before.
void RecordJoinedPainter() {
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  for (int32_t i = 0; i < manager->Count(); ++i) {
    const std::string name = StringToUtf8(manager->Items(i)->LookAndFeelName());
    if (std::find(gJoinOrder->begin(), gJoinOrder->end(), name) == gJoinOrder->end())
      gJoinOrder->push_back(name);
  }
}

TEST_F(PainterClassicTest, StartUpRegistersTheBuiltInPaintersInTheirOrder) {
  cxLookAndFeelPainters::Finalize();  // the fixture's start-up, made again while recording
  std::vector<std::string> order;
  gJoinOrder = &order;
  cxSetRootLookAndFeelRefreshProc(&RecordJoinedPainter);
  cxLookAndFeelPainters::Initialize();
  cxSetRootLookAndFeelRefreshProc(nullptr);
  gJoinOrder = nullptr;
  EXPECT_EQ(order, (std::vector<std::string>{"Flat", "Standard", "UltraFlat"}));

  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  struct Case {
    TcxLookAndFeelStyle style;
    TClass cls;
    const char* name;
  };
  for (const Case& c : {Case{lfsFlat, TcxFlatLookAndFeelPainter::StaticClass(), "Flat"},
                        Case{lfsStandard, TcxStandardLookAndFeelPainter::StaticClass(), "Standard"},
                        Case{lfsUltraFlat, TcxUltraFlatLookAndFeelPainter::StaticClass(), "UltraFlat"}}) {
    SCOPED_TRACE(c.name);
    TcxCustomLookAndFeelPainter* painter = manager->GetPainter(c.style);
    ASSERT_NE(painter, nullptr);
    EXPECT_EQ(painter->ClassType(), c.cls);
    EXPECT_EQ(StringToUtf8(painter->LookAndFeelName()), c.name);
    EXPECT_EQ(manager->GetPainter(Utf8ToString(c.name)), painter);
  }
}

TEST_F(PainterClassicTest, MetricsAndColoursOfEachPainter) {
  struct Case {
    TcxCustomLookAndFeelPainter* painter;
    int32_t border, defaultButtonBorder, buttonBorder, textOffset, textShift, expandSize, footerCellOffset;
    TPoint sortingMark, summarySortingMark;
    bool hotTrack;
    TColor toggleChecked, toggleUnchecked;
  };
  const Case cases[] = {
      {&standard_, 2, 3, 2, 1, 1, 12, 1, TPoint{8, 7}, TPoint{8, 8}, false, static_cast<TColor>(0x219921),
       static_cast<TColor>(0xE3E3E3)},
      {&flat_, 1, 2, 1, 1, 1, 11, 1, TPoint{8, 7}, TPoint{8, 8}, false, static_cast<TColor>(0xA0A0A0),
       static_cast<TColor>(0xC8C8C8)},
      {&ultraFlat_, 1, 2, 1, 2, 0, 11, 2, TPoint{7, 8}, TPoint{7, 9}, true, static_cast<TColor>(0xFF9933),
       static_cast<TColor>(0xC8C8C8)},
  };
  TdxScaleFactor largeSf;
  largeSf.Assign(3, 2, false);
  TdxScaleFactor* large = &largeSf;
  for (const Case& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.painter->LookAndFeelName()));
    EXPECT_EQ(c.painter->BorderSize(), c.border);
    EXPECT_EQ(c.painter->ButtonBorderSize(cxbsDefault), c.defaultButtonBorder);
    for (TcxButtonState s : {cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled})
      EXPECT_EQ(c.painter->ButtonBorderSize(s), c.buttonBorder);
    EXPECT_EQ(c.painter->ScaledButtonTextOffset(large), large->Apply(c.textOffset));
    EXPECT_EQ(c.painter->ScaledButtonTextShift(sf_), c.textShift);
    EXPECT_EQ(c.painter->ScaledExpandButtonSize(sf_), c.expandSize);
    EXPECT_EQ(c.painter->ScaledExpandButtonSize(large), large->Apply(c.expandSize));
    EXPECT_EQ(c.painter->FooterCellOffset(), c.footerCellOffset);
    EXPECT_EQ(c.painter->ScaledSortingMarkSize(sf_), c.sortingMark);
    EXPECT_EQ(c.painter->ScaledSummarySortingMarkSize(sf_), c.summarySortingMark);
    EXPECT_EQ(c.painter->IsButtonHotTrack(), c.hotTrack);
    EXPECT_EQ(c.painter->ToggleSwitchToggleColor(true), c.toggleChecked);
    EXPECT_EQ(c.painter->ToggleSwitchToggleColor(false), c.toggleUnchecked);
    EXPECT_EQ(c.painter->HeaderBorderSize(), 1);
    EXPECT_EQ(c.painter->TabBorderSize(false), 1);
  }
  EXPECT_EQ(standard_.HeaderControlSectionBorderSize(cxbsPressed), 1);
  EXPECT_EQ(standard_.HeaderControlSectionBorderSize(cxbsHot), 2);
  EXPECT_EQ(flat_.SeparatorSize(), 2);
  EXPECT_EQ(flat_.GetSplitterOuterColor(true), cl3DDkShadow);
  EXPECT_EQ(ultraFlat_.GetSplitterOuterColor(true), clHighlight);
  EXPECT_EQ(standard_.DefaultSchedulerTimeRulerTextColor(),
            standard_.DefaultSchedulerTimeRulerBorderColorClassic());
  EXPECT_EQ(ultraFlat_.DefaultSchedulerTimeRulerTextColor(),
            ultraFlat_.DefaultSchedulerTimeRulerTextColorClassic());
}

// --- Standard ----------------------------------------------------------------------------------------

TEST_F(PainterClassicTest, StandardButtonBordersPerState) {
  auto normal =
      DrawProbe(6, 6, [&](TcxCanvas* c, const TRect& R) { standard_.DrawButtonBorder(c, R, cxbsHot); });
  EXPECT_TRUE(normal->Matches({"HHHHHD", "HLLLSD", "HL..SD", "HL..SD", "HSSSSD", "DDDDDD"}, kClassic));
  auto pressed =
      DrawProbe(6, 6, [&](TcxCanvas* c, const TRect& R) { standard_.DrawButtonBorder(c, R, cxbsPressed); });
  EXPECT_TRUE(pressed->Matches({"KKKKKK", "KSSSSK", "KS..SK", "KS..SK", "KSSSSK", "KKKKKK"}, kClassic));
  // The default button: black frame around the two rings, three pixels in all.
  auto def =
      DrawProbe(8, 8, [&](TcxCanvas* c, const TRect& R) { standard_.DrawButtonBorder(c, R, cxbsDefault); });
  EXPECT_TRUE(def->Matches(
      {"KKKKKKKK", "KHHHHHDK", "KHLLLSDK", "KHL..SDK", "KHL..SDK", "KHSSSSDK", "KDDDDDDK", "KKKKKKKK"},
      kClassic));
}

TEST_F(PainterClassicTest, StandardBorderCheckBorderAndTrackBoundsRings) {
  auto border = DrawProbe(6, 6, [&](TcxCanvas* c, const TRect& R) { standard_.DrawBorder(c, R); });
  EXPECT_TRUE(border->Matches({"SSSSSH", "SDDDLH", "SD..LH", "SD..LH", "SLLLLH", "HHHHHH"}, kClassic));
  auto track =
      DrawProbe(6, 6, [&](TcxCanvas* c, const TRect& R) { standard_.DrawTrackBarTrackBounds(c, R); });
  EXPECT_TRUE(track->Matches({"SSSSSH", "SDDDLH", "SD..LH", "SD..LH", "SLLLLH", "HHHHHH"}, kClassic));
  // The check box takes the sunken rings in the order of their colour pairs: dark shadow outside.
  auto check =
      DrawProbe(6, 6, [&](TcxCanvas* c, const TRect& R) { standard_.DrawCheckBorder(c, R, cxbsNormal); });
  EXPECT_TRUE(check->Matches({"DDDDDL", "DSSSHL", "DS..HL", "DS..HL", "DHHHHL", "LLLLLL"}, kClassic));
}

TEST_F(PainterClassicTest, StandardExpandButtonRingsFaceAndSign) {
  auto probe = DrawProbe(12, 12, [&](TcxCanvas* c, const TRect& R) {
    standard_.DrawScaledExpandButton(c, R, false, sf_, clRed);
    c->FillRect(R, clBlue);  // R is excluded from the clip afterwards
  });
  auto legend = kClassic;
  legend['R'] = clRed;
  legend['T'] = clBtnText;
  EXPECT_TRUE(probe->Matches(
      {"HHHHHHHHHHHD", "HRRRRRRRRRSD", "HRRRRRRRRRSD", "HRRRRRTRRRSD", "HRRRRRTRRRSD", "HRRRRRTRRRSD",
       "HRRTTTTTTTSD", "HRRRRRTRRRSD", "HRRRRRTRRRSD", "HRRRRRTRRRSD", "HSSSSSSSSSSD", "DDDDDDDDDDDD"},
      legend));
}

TEST_F(PainterClassicTest, StandardHeaderBorderFixesUpThePixelsNextToNeighbours) {
  struct Case {
    TcxNeighbors neighbors;
    std::vector<std::string> mask;
  };
  const Case cases[] = {
      {TcxNeighbors{}, {"HHHHHS", "H....S", "H....S", "H....S", "SSSSSS"}},
      {TcxNeighbors{nLeft}, {"HHHHHS", "F....S", "H....S", "F....S", "SSSSSS"}},
      {TcxNeighbors{nRight}, {"HHHHHH", "H....F", "H....S", "H....F", "SSSSSS"}},
      {TcxNeighbors{nLeft, nRight}, {"HHHHHH", "F....F", "H....S", "F....F", "SSSSSS"}},
  };
  for (TcxCustomLookAndFeelPainter* painter : {static_cast<TcxCustomLookAndFeelPainter*>(&standard_),
                                               static_cast<TcxCustomLookAndFeelPainter*>(&flat_)})
    for (const Case& c : cases) {
      auto probe = DrawProbe(6, 5, [&](TcxCanvas* cv, const TRect& R) {
        painter->DrawHeaderBorder(cv, R, c.neighbors, cxBordersAll);
      });
      EXPECT_TRUE(probe->Matches(c.mask, kClassic)) << StringToUtf8(painter->LookAndFeelName());
    }
}

TEST_F(PainterClassicTest, StandardTabBordersAdjustTheirStrips) {
  struct Case {
    const char* what;
    int w, h;
    TRect strip;
    TcxBorder border;
    TcxBorders borders;
    bool vertical;
    std::vector<std::string> mask;
  };
  const TcxBorders all = cxBordersAll;
  // Vertical left borders and horizontal top ones also set pixels beside their strips.
  const Case cases[] = {
      {"horizontal top", 6, 2, TRect{0, 0, 6, 1}, bTop, all, false, {".HHHH.", "H....H"}},
      {"horizontal right", 1, 5, TRect{0, 0, 1, 5}, bRight, all, false, {".", ".", "S", "S", "."}},
      {"horizontal left, no top",
       1,
       5,
       TRect{0, 0, 1, 5},
       bLeft,
       TcxBorders{bLeft, bBottom},
       false,
       {"H", "H", "H", "H", "."}},
      {"vertical left", 2, 6, TRect{0, 0, 1, 6}, bLeft, all, true, {"..", ".H", "H.", "H.", ".H", ".."}},
      {"vertical left alone",
       2,
       6,
       TRect{0, 0, 1, 6},
       bLeft,
       TcxBorders{bLeft},
       true,
       {".H", "H.", "H.", "H.", "H.", ".H"}},
      {"vertical bottom", 4, 1, TRect{0, 0, 4, 1}, bBottom, all, true, {".SSS"}},
      {"vertical top, no left", 4, 1, TRect{0, 0, 4, 1}, bTop, TcxBorders{bTop}, true, {"HHHH"}},
  };
  for (const Case& c : cases) {
    auto probe = DrawProbe(c.w, c.h, [&](TcxCanvas* cv, const TRect&) {
      standard_.DrawTabBorder(cv, c.strip, c.border, c.borders, c.vertical);
    });
    EXPECT_TRUE(probe->Matches(c.mask, kClassic)) << c.what;
  }
}

TEST_F(PainterClassicTest, StandardMonthHeaderFramesTheSidesWithoutNeighbours) {
  TcxViewParams params;
  params.Color = clWindow;
  params.TextColor = clWindowText;
  TFont font;
  params.Font = &font;
  const auto draw = [&](const TcxNeighbors& ANeighbors) {
    return DrawProbe(40, 12, [&](TcxCanvas* c, const TRect& R) {
      standard_.DrawScaledMonthHeader(c, R, String(), ANeighbors, params, TcxArrowDirections{}, 0, sf_);
    });
  };
  const uint32_t black = ColorPx(clBlack);
  auto alone = draw(TcxNeighbors{});
  auto both = draw(TcxNeighbors{nLeft, nRight});
  for (int x = 0; x < 40; ++x) {
    EXPECT_EQ(alone->Rgb(x, 0), black);
    EXPECT_EQ(both->Rgb(x, 0), black);
    EXPECT_EQ(both->Rgb(x, 11), black);
  }
  EXPECT_EQ(alone->Rgb(0, 6), black);
  EXPECT_EQ(alone->Rgb(39, 6), black);
  EXPECT_NE(both->Rgb(0, 6), black);
  EXPECT_NE(both->Rgb(39, 6), black);
}

TEST_F(PainterClassicTest, StandardScrollBarParts) {
  // A disabled thumb leaves the track alone; a hot part is drawn as a normal one.
  auto disabled = DrawProbe(16, 30, [&](TcxCanvas* c, const TRect& R) {
    standard_.DrawScaledScrollBarPart(c, false, R, sbpThumbnail, cxbsDisabled, sf_);
  });
  EXPECT_TRUE(Untouched(*disabled));
  auto thumb = DrawProbe(16, 30, [&](TcxCanvas* c, const TRect& R) {
    standard_.DrawScaledScrollBarPart(c, false, R, sbpThumbnail, cxbsNormal, sf_);
  });
  auto hot = DrawProbe(16, 30, [&](TcxCanvas* c, const TRect& R) {
    standard_.DrawScaledScrollBarPart(c, false, R, sbpThumbnail, cxbsHot, sf_);
  });
  EXPECT_TRUE(SamePixels(*thumb, *hot));
  // The thumb: rings (face, dark shadow) and (highlight, shadow), the rest button face.
  EXPECT_EQ(thumb->Rgb(0, 0), ColorPx(clBtnFace));
  EXPECT_EQ(thumb->Rgb(15, 10), ColorPx(cl3DDkShadow));
  EXPECT_EQ(thumb->Rgb(1, 1), ColorPx(clBtnHighlight));
  EXPECT_EQ(thumb->Rgb(14, 10), ColorPx(clBtnShadow));
  EXPECT_EQ(thumb->Rgb(8, 15), ColorPx(clBtnFace));

  // Line buttons: a pressed arrow is flat, one pixel lower and further right, inside a flat
  // shadow frame, and nothing spills out of the button.
  const TRect button{0, 0, 16, 16};
  auto line = [&](TcxButtonState AState) {
    return DrawProbe(18, 18, [&](TcxCanvas* c, const TRect&) {
      standard_.DrawScaledScrollBarPart(c, false, button, sbpLineDown, AState, sf_);
    });
  };
  auto normal = line(cxbsNormal);
  auto pressed = line(cxbsPressed);
  const TRect arrow = BoundsOf(*normal, clBtnText);
  ASSERT_FALSE(arrow.IsEmpty());
  EXPECT_EQ(BoundsOf(*pressed, clBtnText), cxRectOffset(arrow, 1, 1));
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(pressed->Rgb(i, 0), ColorPx(clBtnShadow));
    EXPECT_EQ(pressed->Rgb(15, i), ColorPx(clBtnShadow));
    EXPECT_EQ(pressed->Rgb(i, 15), ColorPx(clBtnShadow));
  }
  EXPECT_EQ(pressed->Rgb(1, 1), ColorPx(clBtnFace));
  EXPECT_EQ(pressed->Rgb(14, 14), ColorPx(clBtnFace));
  for (int i = 0; i < 18; ++i) {
    EXPECT_EQ(pressed->Rgb(16, i), pressed->Sentinel() & 0xFFFFFF) << i;
    EXPECT_EQ(pressed->Rgb(i, 16), pressed->Sentinel() & 0xFFFFFF) << i;
  }
  // The arrow of a normal button is drawn with the raised frame over the system's button.
  EXPECT_EQ(normal->Rgb(15, 15), ColorPx(cl3DDkShadow));
  EXPECT_EQ(normal->Rgb(1, 1), ColorPx(clBtnHighlight));
}

TEST_F(PainterClassicTest, ScrollBarPagePartsTileTheirPatterns) {
  for (TcxCustomLookAndFeelPainter* painter : {static_cast<TcxCustomLookAndFeelPainter*>(&standard_),
                                               static_cast<TcxCustomLookAndFeelPainter*>(&flat_),
                                               static_cast<TcxCustomLookAndFeelPainter*>(&ultraFlat_)})
    for (TcxButtonState state : {cxbsNormal, cxbsPressed}) {
      SCOPED_TRACE(StringToUtf8(painter->LookAndFeelName()) +
                   (state == cxbsPressed ? " pressed" : " normal"));
      auto probe = DrawProbe(12, 20, [&](TcxCanvas* c, const TRect& R) {
        painter->DrawScaledScrollBarPart(c, false, R, sbpPageDown, state, sf_);
        EXPECT_EQ(c->Brush()->Style(), bsSolid);
      });
      TBitmap* pattern = StdScrollBitmaps[state == cxbsPressed ? 1 : 0].get();
      ASSERT_NE(pattern, nullptr);
      for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 12; ++x)
          ASSERT_EQ(probe->Rgb(x, y), ColorPx(pattern->Canvas()->Pixels(x % 8, y % 8))) << x << ", " << y;
    }
}

TEST_F(PainterClassicTest, StandardGroupExpandButtonIsTheFlatPaintersWhileItIsRegistered) {
  const auto draw = [&](TcxCustomLookAndFeelPainter* APainter) {
    return DrawProbe(15, 15, [&](TcxCanvas* c, const TRect& R) {
      APainter->DrawScaledGroupExpandButton(c, R, true, cxbsNormal, sf_);
    });
  };
  TcxCustomLookAndFeelPainter* flat = cxLookAndFeelPaintersManager()->GetPainter(lfsFlat);
  ASSERT_NE(flat, nullptr);
  auto borrowed = draw(&standard_);
  auto flats = draw(flat);
  EXPECT_TRUE(SamePixels(*borrowed, *flats));
  ASSERT_TRUE(cxLookAndFeelPaintersManager()->Unregister(u"Flat"));
  auto own = draw(&standard_);
  EXPECT_FALSE(SamePixels(*own, *flats));
}

TEST_F(PainterClassicTest, StandardSchedulerSplitterBorderTwoLinePairs) {
  TcxViewParams params;
  params.Color = clRed;
  auto probe = DrawProbe(6, 6, [&](TcxCanvas* c, const TRect&) {
    standard_.DrawSchedulerSplitterBorder(c, TRect{1, 0, 5, 6}, params, true);
  });
  auto legend = kClassic;
  legend['R'] = clRed;
  EXPECT_TRUE(probe->Matches({".FFFF.", "HHHHHH", "RRRRRR", "RRRRRR", "SSSSSS", ".DDDD."}, legend));
}

TEST_F(PainterClassicTest, StandardTokensAndBreadcrumbButtons) {
  struct Case {
    TcxButtonState state;
    std::vector<std::string> mask;
  };
  const Case tokens[] = {
      {cxbsNormal, {"SSSSH", "S...H", "S...H", "HHHHH"}},
      {cxbsHot, {"SSSSH", "SHHSH", "SSSSH", "HHHHH"}},
      {cxbsPressed, {"SSSSH", "SSSHH", "SHHHH", "HHHHH"}},
  };
  for (const Case& c : tokens) {
    auto probe = DrawProbe(5, 4, [&](TcxCanvas* cv, const TRect& R) {
      standard_.DrawScaledTokenBackground(cv, R, c.state, sf_);
    });
    EXPECT_TRUE(probe->Matches(c.mask, kClassic)) << c.state;
  }
  struct Crumb {
    TdxBreadcrumbEditButtonState state;
    std::vector<std::string> mask;
  };
  const Crumb crumbs[] = {
      {dxbcbsNormal, {"....", "....", "...."}},  {dxbcbsDisabled, {"....", "....", "...."}},
      {dxbcbsFocused, {"HHHS", "H..S", "SSSS"}}, {dxbcbsHot, {"HHHS", "H..S", "SSSS"}},
      {dxbcbsPressed, {"SSSH", "S..H", "HHHH"}},
  };
  for (const Crumb& c : crumbs) {
    auto probe = DrawProbe(4, 3, [&](TcxCanvas* cv, const TRect& R) {
      standard_.DrawBreadcrumbEditScaledButton(cv, R, c.state, false, false, sf_);
    });
    EXPECT_TRUE(probe->Matches(c.mask, kClassic)) << c.state;
  }
}

// --- Flat --------------------------------------------------------------------------------------------------

TEST_F(PainterClassicTest, FlatButtonAndCheckBorders) {
  auto normal =
      DrawProbe(4, 4, [&](TcxCanvas* c, const TRect& R) { flat_.DrawButtonBorder(c, R, cxbsNormal); });
  EXPECT_TRUE(normal->Matches({"HHHS", "H..S", "H..S", "SSSS"}, kClassic));
  auto pressed =
      DrawProbe(4, 4, [&](TcxCanvas* c, const TRect& R) { flat_.DrawButtonBorder(c, R, cxbsPressed); });
  EXPECT_TRUE(pressed->Matches({"SSSH", "S..H", "S..H", "HHHH"}, kClassic));
  auto def =
      DrawProbe(6, 6, [&](TcxCanvas* c, const TRect& R) { flat_.DrawButtonBorder(c, R, cxbsDefault); });
  EXPECT_TRUE(def->Matches({"KKKKKK", "KHHHSK", "KH..SK", "KH..SK", "KSSSSK", "KKKKKK"}, kClassic));
  // The check box: a sunken ring around a frame in the face colour of the checked state.
  for (TcxButtonState state : {cxbsNormal, cxbsDisabled}) {
    auto check = DrawProbe(5, 5, [&](TcxCanvas* c, const TRect& R) { flat_.DrawCheckBorder(c, R, state); });
    auto legend = kClassic;
    legend['C'] = flat_.CheckButtonColor(state, cbsChecked);
    EXPECT_TRUE(check->Matches({"SSSSH", "SCCCH", "SC.CH", "SCCCH", "HHHHH"}, legend)) << state;
  }
}

TEST_F(PainterClassicTest, FlatAndUltraFlatExpandButtons) {
  auto legend = kClassic;
  legend['R'] = clRed;
  legend['T'] = clBtnText;
  // Flat: a raised button face in the colour, the sign centred in the face.
  auto flat = DrawProbe(11, 11, [&](TcxCanvas* c, const TRect& R) {
    flat_.DrawScaledExpandButton(c, R, false, sf_, clRed);
    c->FillRect(R, clBlue);  // R is excluded from the clip afterwards
  });
  EXPECT_TRUE(
      flat->Matches({"HHHHHHHHHHS", "HRRRRRRRRRS", "HRRRRRRRRRS", "HRRRRTRRRRS", "HRRRRTRRRRS", "HRRTTTTTRRS",
                     "HRRRRTRRRRS", "HRRRRTRRRRS", "HRRRRRRRRRS", "HRRRRRRRRRS", "SSSSSSSSSSS"},
                    legend));
  // UltraFlat: a shadow frame around the button face (the default colour), a minus.
  auto ultraFlat = DrawProbe(11, 11, [&](TcxCanvas* c, const TRect& R) {
    ultraFlat_.DrawScaledExpandButton(c, R, true, sf_);
    c->FillRect(R, clBlue);
  });
  EXPECT_TRUE(ultraFlat->Matches(
      {"SSSSSSSSSSS", "SFFFFFFFFFS", "SFFFFFFFFFS", "SFFFFFFFFFS", "SFFFFFFFFFS", "SFTTTTTTTFS",
       "SFFFFFFFFFS", "SFFFFFFFFFS", "SFFFFFFFFFS", "SFFFFFFFFFS", "SSSSSSSSSSS"},
      legend));
}

TEST_F(PainterClassicTest, FlatDateHeaderToggleAndSplitter) {
  TRect header{0, 0, 5, 4};
  auto probe =
      DrawProbe(5, 4, [&](TcxCanvas* c, const TRect&) { flat_.DrawDateNavigatorDateHeader(c, header); });
  EXPECT_EQ(header, (TRect{0, 0, 5, 3}));
  auto legend = kClassic;
  legend['N'] = flat_.DefaultDateNavigatorHeaderColor();
  EXPECT_TRUE(probe->Matches({"?????", "NNNNN", "NNNNN", "FFFFF"}, legend));

  auto toggle = DrawProbe(6, 4, [&](TcxCanvas* c, const TRect& R) {
    flat_.DrawScaledToggleSwitchState(c, R, cxbsNormal, false, sf_);
  });
  EXPECT_TRUE(toggle->Matches(
      {"GGGGGW", "GCCCCW", "GCCCCW", "GWWWWW"},
      {{'G', static_cast<TColor>(0xA0A0A0)}, {'C', static_cast<TColor>(0xC8C8C8)}, {'W', clWhite}}));

  TcxViewParams params;
  params.Color = clRed;
  auto splitter = DrawProbe(6, 4, [&](TcxCanvas* c, const TRect&) {
    flat_.DrawSchedulerSplitterBorder(c, TRect{1, 0, 5, 4}, params, true);
  });
  auto red = kClassic;
  red['R'] = clRed;
  EXPECT_TRUE(splitter->Matches({".HHHH.", "RRRRRR", "RRRRRR", ".SSSS."}, red));
}

TEST_F(PainterClassicTest, FlatScrollBarButtonsAreFlatButtonsWithArrows) {
  auto disabled = DrawProbe(16, 30, [&](TcxCanvas* c, const TRect& R) {
    flat_.DrawScaledScrollBarPart(c, false, R, sbpThumbnail, cxbsDisabled, sf_);
  });
  EXPECT_TRUE(Untouched(*disabled));
  const auto line = [&](TcxButtonState AState) {
    return DrawProbe(16, 16, [&](TcxCanvas* c, const TRect& R) {
      flat_.DrawScaledScrollBarPart(c, true, R, sbpLineUp, AState, sf_);
    });
  };
  auto normal = line(cxbsNormal);
  auto hot = line(cxbsHot);
  EXPECT_TRUE(SamePixels(*normal, *hot));
  EXPECT_EQ(normal->Rgb(0, 0), ColorPx(clBtnHighlight));
  EXPECT_EQ(normal->Rgb(15, 15), ColorPx(clBtnShadow));
  // A left-pointing arrow: its tip column is left of its base column's middle.
  const TRect arrow = BoundsOf(*normal, clBtnText);
  ASSERT_FALSE(arrow.IsEmpty());
  EXPECT_GT(arrow.Height(), arrow.Width());
  const int32_t mid = (arrow.Top + arrow.Bottom) / 2;
  EXPECT_EQ(normal->Rgb(arrow.Left, mid), ColorPx(clBtnText));
  EXPECT_NE(normal->Rgb(arrow.Left, arrow.Top), ColorPx(clBtnText));
}

// --- UltraFlat
// ------------------------------------------------------------------------------------------------

TEST_F(PainterClassicTest, UltraFlatButtonsFramesAndTints) {
  struct Case {
    TcxButtonState state;
    TColor frame;
    int width;
    TColor face, symbol;
  };
  const Case cases[] = {
      {cxbsDefault, clWindowFrame, 2, clBtnFace, clBtnText},
      {cxbsNormal, clBtnText, 1, clBtnFace, clBtnText},
      {cxbsHot, clHighlight, 1, GetLightSelColor(), clBtnText},
      {cxbsPressed, clHighlight, 1, GetLightDownedSelColor(), clHighlightText},
      {cxbsDisabled, clBtnShadow, 1, clBtnFace, clBtnShadow},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    EXPECT_EQ(ultraFlat_.ButtonColor(c.state), c.face);
    EXPECT_EQ(ultraFlat_.ButtonSymbolColor(c.state), c.symbol);
    EXPECT_EQ(ultraFlat_.ButtonSymbolState(c.state), cxbsNormal);
    auto probe = DrawProbe(8, 8, [&](TcxCanvas* cv, const TRect& R) {
      ultraFlat_.DrawScaledButton(cv, R, String(), c.state, sf_);
    });
    for (int i = 0; i < c.width; ++i) {
      EXPECT_EQ(probe->Rgb(i, 4), ColorPx(c.frame));
      EXPECT_EQ(probe->Rgb(7 - i, 4), ColorPx(c.frame));
      EXPECT_EQ(probe->Rgb(4, i), ColorPx(c.frame));
    }
    EXPECT_EQ(probe->Rgb(c.width, c.width), ColorPx(c.face));
    EXPECT_EQ(probe->Rgb(4, 4), ColorPx(c.face));
  }
  EXPECT_EQ(ultraFlat_.RadioButtonBodyColor(cxbsNormal), clWindow);
  EXPECT_EQ(ultraFlat_.RadioButtonBodyColor(cxbsHot), GetLightSelColor());
  EXPECT_EQ(ultraFlat_.RadioButtonBodyColor(cxbsDisabled), clBtnFace);
}

TEST_F(PainterClassicTest, UltraFlatFocusRectFallsBackToTheButtonWhenTooSmall) {
  TdxScaleFactor largeSf;
  largeSf.Assign(3, 2, false);  // 3 pixels become 5 (4.5 rounded)
  TdxScaleFactor* large = &largeSf;
  struct Case {
    TRect r;
    TdxScaleFactor* sf;
    TRect expected;
  };
  const Case cases[] = {
      {TRect{0, 0, 20, 10}, sf_, TRect{3, 3, 17, 7}},
      {TRect{0, 0, 20, 6}, sf_, TRect{0, 0, 20, 6}},
      {TRect{0, 0, 6, 20}, sf_, TRect{0, 0, 6, 20}},
      {TRect{0, 0, 20, 10}, large, TRect{0, 0, 20, 10}},
      {TRect{0, 0, 20, 12}, large, cxRectInflate(TRect{0, 0, 20, 12}, -large->Apply(3))},
  };
  for (const Case& c : cases) EXPECT_EQ(ultraFlat_.ScaledButtonFocusRect(nullptr, c.r, c.sf), c.expected);
}

TEST_F(PainterClassicTest, UltraFlatHeaderBordersFollowTheNeighbours) {
  EXPECT_TRUE(ultraFlat_.HeaderBorders(TcxNeighbors{}) == cxBordersAll);
  EXPECT_TRUE(ultraFlat_.HeaderBorders(TcxNeighbors{nLeft, nTop, nRight}) == (TcxBorders{bRight, bBottom}));
  EXPECT_TRUE(ultraFlat_.FooterBorders() == (TcxBorders{bRight, bBottom}));
  // A header with a left neighbour draws no left line; right and bottom are always drawn.
  const TcxNeighbors left{nLeft};
  auto probe = DrawProbe(5, 4, [&](TcxCanvas* c, const TRect& R) {
    ultraFlat_.DrawHeaderBorder(c, R, left, ultraFlat_.HeaderBorders(left));
  });
  EXPECT_TRUE(probe->Matches({"TTTTT", "....T", "....T", "TTTTT"}, {{'T', clBtnText}}));
  auto none = DrawProbe(5, 4, [&](TcxCanvas* c, const TRect& R) {
    ultraFlat_.DrawHeaderBorder(c, R, TcxNeighbors{}, TcxBorders{});
  });
  EXPECT_TRUE(none->Matches({"....T", "....T", "....T", "TTTTT"}, {{'T', clBtnText}}));
}

TEST_F(PainterClassicTest, UltraFlatTabsFiltersAndNavigatorButtons) {
  // Tabs: the right strip of a horizontal tab is dark and one pixel shorter; the others light.
  auto right = DrawProbe(1, 4, [&](TcxCanvas* c, const TRect& R) {
    ultraFlat_.DrawTabBorder(c, R, bRight, cxBordersAll, false);
  });
  EXPECT_TRUE(right->Matches({"T", "T", "T", "."}, {{'T', clBtnText}}));
  auto bottom = DrawProbe(3, 1, [&](TcxCanvas* c, const TRect& R) {
    ultraFlat_.DrawTabBorder(c, R, bBottom, cxBordersAll, true);
  });
  EXPECT_TRUE(bottom->Matches({"TTT"}, {{'T', clBtnText}}));
  auto top = DrawProbe(
      3, 1, [&](TcxCanvas* c, const TRect& R) { ultraFlat_.DrawTabBorder(c, R, bTop, cxBordersAll, true); });
  EXPECT_TRUE(top->Matches({"SSS"}, kClassic));

  // Filter drop-down buttons: the frame lights up outside the normal state, the face is tinted.
  for (TcxButtonState state : {cxbsNormal, cxbsHot, cxbsPressed}) {
    auto probe = DrawProbe(12, 12, [&](TcxCanvas* c, const TRect& R) {
      ultraFlat_.DrawScaledFilterDropDownButton(c, R, state, false, sf_);
    });
    EXPECT_EQ(probe->Rgb(0, 0), ColorPx(state == cxbsNormal ? clBtnShadow : clHighlight)) << state;
    EXPECT_EQ(probe->Rgb(1, 1), ColorPx(ultraFlat_.ButtonColor(state))) << state;
  }

  // Navigator buttons: framed in the background colour while normal, highlighted otherwise.
  auto normal = DrawProbe(6, 6, [&](TcxCanvas* c, const TRect& R) {
    ultraFlat_.DrawNavigatorScaledButton(c, R, cxbsNormal, clRed, sf_);
  });
  EXPECT_EQ(normal->Rgb(0, 0), ColorPx(clRed));
  EXPECT_EQ(normal->Rgb(2, 2), ColorPx(clBtnFace));
  auto hot = DrawProbe(6, 6, [&](TcxCanvas* c, const TRect& R) {
    ultraFlat_.DrawNavigatorScaledButton(c, R, cxbsHot, clRed, sf_);
  });
  EXPECT_EQ(hot->Rgb(0, 0), ColorPx(clHighlight));
  EXPECT_EQ(hot->Rgb(2, 2), ColorPx(GetLightSelColor()));
}

TEST_F(PainterClassicTest, UltraFlatScrollBarKeepsTheHotState) {
  auto disabled = DrawProbe(16, 30, [&](TcxCanvas* c, const TRect& R) {
    ultraFlat_.DrawScaledScrollBarPart(c, false, R, sbpThumbnail, cxbsDisabled, sf_);
  });
  EXPECT_TRUE(Untouched(*disabled));
  auto hot = DrawProbe(16, 30, [&](TcxCanvas* c, const TRect& R) {
    ultraFlat_.DrawScaledScrollBarPart(c, false, R, sbpThumbnail, cxbsHot, sf_);
  });
  EXPECT_EQ(hot->Rgb(0, 0), ColorPx(clHighlight));
  EXPECT_EQ(hot->Rgb(8, 15), ColorPx(GetLightSelColor()));
  auto pressedLine = DrawProbe(16, 16, [&](TcxCanvas* c, const TRect& R) {
    ultraFlat_.DrawScaledScrollBarPart(c, false, R, sbpLineUp, cxbsPressed, sf_);
  });
  EXPECT_EQ(pressedLine->Rgb(1, 1), ColorPx(GetLightDownedSelColor()));
  EXPECT_FALSE(BoundsOf(*pressedLine, clHighlightText).IsEmpty());
}

TEST_F(PainterClassicTest, UltraFlatBreadcrumbsTokensListsAndPrintPreview) {
  const std::map<char, TColor> legend = {{'S', clBtnShadow},
                                         {'I', clHighlight},
                                         {'F', clBtnFace},
                                         {'h', GetLightSelColor()},
                                         {'p', GetLightDownedSelColor()}};
  struct Crumb {
    const char* what;
    TdxBreadcrumbEditButtonState state;
    bool first, last;
    std::vector<std::string> mask;
  };
  const Crumb crumbs[] = {
      {"normal", dxbcbsNormal, false, false, {"....", "....", "...."}},
      {"hot, middle", dxbcbsHot, false, false, {"IhhI", "IhhI", "IhhI"}},
      {"hot, first", dxbcbsHot, true, false, {"hhhI", "hhhI", "hhhI"}},
      {"pressed, first and last", dxbcbsPressed, true, true, {"pppp", "pppp", "pppp"}},
      {"focused, last", dxbcbsFocused, false, true, {"SFFF", "SFFF", "SFFF"}},
  };
  for (const Crumb& c : crumbs) {
    auto probe = DrawProbe(4, 3, [&](TcxCanvas* cv, const TRect& R) {
      ultraFlat_.DrawBreadcrumbEditScaledButton(cv, R, c.state, c.first, c.last, sf_);
    });
    EXPECT_TRUE(probe->Matches(c.mask, legend)) << c.what;
  }
  // The drop-down button shows in the editor even while normal; alone only when active.
  auto inEditor = DrawProbe(3, 2, [&](TcxCanvas* c, const TRect& R) {
    ultraFlat_.DrawBreadcrumbEditScaledDropDownButton(c, R, dxbcbsNormal, true, sf_);
  });
  EXPECT_TRUE(inEditor->Matches({"FFF", "FFF"}, legend));
  auto alone = DrawProbe(3, 2, [&](TcxCanvas* c, const TRect& R) {
    ultraFlat_.DrawBreadcrumbEditScaledDropDownButton(c, R, dxbcbsNormal, false, sf_);
  });
  EXPECT_TRUE(Untouched(*alone));
  auto separator = DrawProbe(3, 2, [&](TcxCanvas* c, const TRect& R) {
    ultraFlat_.DrawBreadcrumbEditScaledButtonAreaSeparator(c, R, dxbcsHot, sf_);
  });
  EXPECT_TRUE(separator->Matches({"I..", "I.."}, legend));
  EXPECT_EQ(ultraFlat_.BreadcrumbEditScaledButtonContentOffsets(true, true, sf_), (TRect{2, 3, 2, 3}));
  EXPECT_EQ(ultraFlat_.BreadcrumbEditScaledButtonContentOffsets(false, false, sf_), (TRect{3, 3, 3, 3}));

  // Tokens: a hot or default token is filled inside its frame, a normal one only framed.
  auto hotToken = DrawProbe(
      4, 3, [&](TcxCanvas* c, const TRect& R) { ultraFlat_.DrawScaledTokenBackground(c, R, cxbsHot, sf_); });
  EXPECT_TRUE(hotToken->Matches({"IIII", "IhhI", "IIII"}, legend));
  auto token = DrawProbe(4, 3, [&](TcxCanvas* c, const TRect& R) {
    ultraFlat_.DrawScaledTokenBackground(c, R, cxbsNormal, sf_);
  });
  EXPECT_TRUE(token->Matches({"SSSS", "S..S", "SSSS"}, legend));

  // Drop-down list: framed background, the separator from 4 pixels right of the gutter.
  auto list = DrawProbe(
      5, 5, [&](TcxCanvas* c, const TRect& R) { ultraFlat_.DrawDropDownListBoxBackground(c, R, true); });
  EXPECT_TRUE(list->Matches({"SSSSS", "SWWWS", "SWwWS", "SWWWS", "SSSSS"},
                            {{'S', clBtnShadow}, {'W', clBtnHighlight}, {'w', clWindow}}));
  auto line = DrawProbe(10, 3, [&](TcxCanvas* c, const TRect& R) {
    ultraFlat_.DrawDropDownListBoxScaledSeparator(c, R, TRect{0, 0, 2, 3}, sf_);
  });
  EXPECT_TRUE(line->Matches({"..........", "......SSSS", ".........."}, legend));
  EXPECT_EQ(ultraFlat_.DropDownListBoxItemTextColor(true), clMenuText);

  // Print preview: the shadow lightened by a third toward white per channel (0xA0 -> 0xBF).
  auto preview = DrawProbe(
      2, 2, [&](TcxCanvas* c, const TRect& R) { ultraFlat_.DrawPrintPreviewScaledBackground(c, R, sf_); });
  const uint32_t shadow = ColorPx(clBtnShadow);
  uint32_t expected = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t ch = (shadow >> shift) & 0xFF;
    expected |= (ch + (255 - ch) / 3) << shift;
  }
  EXPECT_EQ(preview->Rgb(1, 1), expected);
}

}  // namespace
}  // namespace qd::testing
