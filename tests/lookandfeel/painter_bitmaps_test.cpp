// The images and shapes the painters share: radio-button images, scroll-bar patterns, the size
// grip in any corner and the scheduler polygons.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "lookandfeel/painter_draw_test_util.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/dxOffice11.h"

namespace qd::testing {
namespace {

class PainterBitmapsTest : public PainterDrawTest {
 protected:
  // Registers a painter of the style; the registry owns it.
  template <class TPainter = MetricsPainter>
  static void RegisterPainter(const String& AName, TcxLookAndFeelStyle AStyle) {
    auto painter = std::make_unique<TPainter>();
    painter->name = AName;
    painter->style = AStyle;
    ASSERT_TRUE(cxLookAndFeelPaintersManager()->Register(std::move(painter)));
  }
  TdxScaleFactor* sf_ = dxDefaultScaleFactor();
};

TEST_F(PainterBitmapsTest, RadioPatternAtNinetySixDpi) {
  TcxRadioButtonImageList* list = TcxRadioButtonImageListManager::Get(sf_);
  // 1 and 2 the outer ring's upper-left and lower-right halves, 3 and 4 the inner ring's, 5 the
  // body, 6 the check dot.
  const std::vector<std::string> want = {"000111111000", "001333333100", "013555555420", "135555555542",
                                         "135566665542", "135566665542", "135566665542", "135566665542",
                                         "135555555542", "013555555420", "002444444200", "000222222000"};
  std::vector<std::string> got;
  for (const auto& row : list->RadioButtonPattern()) {
    got.emplace_back();
    for (uint8_t code : row) got.back() += static_cast<char>('0' + code);
  }
  EXPECT_EQ(got, want);
  EXPECT_EQ(list->RadioButtonRect(), (TRect{0, 0, 12, 12}));
  EXPECT_EQ(list->RadioButtonCheckRect(), (TRect{4, 4, 8, 8}));
  EXPECT_EQ(list->List()->Count(), 128);
}

TEST_F(PainterBitmapsTest, RadioColourMaps) {
  using List = TcxRadioButtonImageList;
  struct Case {
    const char* name;
    TcxLookAndFeelKind kind;
    TcxButtonState state;
    bool checked, focused, designing;
    std::array<TColor, 7> want;  // by code 0 to 6
  };
  const TColor o11Off = dxOffice11TextDisabledColor, o11Sel = dxOffice11SelectedBorderColor;
  const Case cases[] = {
      // An unchecked dot has the body colour: it does not show.
      {"flat unchecked",
       lfFlat,
       cxbsNormal,
       false,
       false,
       false,
       {clBlack, clBtnShadow, clBtnHighlight, cl3DLight, cl3DLight, clWindow, clWindow}},
      {"standard checked pressed",
       lfStandard,
       cxbsPressed,
       true,
       false,
       false,
       {clBlack, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnFace, clWindowText}},
      {"standard checked disabled",
       lfStandard,
       cxbsDisabled,
       true,
       false,
       false,
       {clBlack, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnFace, clBtnShadow}},
      {"ultra flat",
       lfUltraFlat,
       cxbsNormal,
       true,
       false,
       false,
       {clBlack, clBtnShadow, clBtnShadow, clWindow, clWindow, clWindow, clWindowText}},
      {"ultra flat hot",
       lfUltraFlat,
       cxbsHot,
       false,
       false,
       false,
       {clBlack, clHighlight, clHighlight, clWindow, clWindow, clWindow, clWindow}},
      // Disabled: a focused ring stays highlighted, a designing one does not.
      {"ultra flat disabled focused",
       lfUltraFlat,
       cxbsDisabled,
       false,
       true,
       false,
       {clBlack, clHighlight, clHighlight, clBtnFace, clBtnFace, clBtnFace, clBtnFace}},
      {"ultra flat disabled designing",
       lfUltraFlat,
       cxbsDisabled,
       false,
       false,
       true,
       {clBlack, clBtnShadow, clBtnShadow, clBtnFace, clBtnFace, clBtnFace, clBtnFace}},
      {"ultra flat designing",
       lfUltraFlat,
       cxbsNormal,
       false,
       false,
       true,
       {clBlack, clHighlight, clHighlight, clWindow, clWindow, clWindow, clWindow}},
      {"office 11",
       lfOffice11,
       cxbsNormal,
       true,
       false,
       false,
       {clBlack, clBtnText, clBtnText, clWindow, clWindow, clWindow, clWindowText}},
      {"office 11 focused",
       lfOffice11,
       cxbsNormal,
       false,
       true,
       false,
       {clBlack, o11Sel, o11Sel, clWindow, clWindow, clWindow, clWindow}},
      {"office 11 disabled checked",
       lfOffice11,
       cxbsDisabled,
       true,
       true,
       false,
       {clBlack, o11Off, o11Off, clBtnFace, clBtnFace, clBtnFace, o11Off}},
  };
  // Every kind's painter registered, with the base body colours (in place of the built-in ones).
  for (const Char* name : {u"Flat", u"Standard", u"UltraFlat"})
    ASSERT_TRUE(cxLookAndFeelPaintersManager()->Unregister(name));
  RegisterPainter(u"Flat", lfsFlat);
  RegisterPainter(u"Standard", lfsStandard);
  RegisterPainter(u"UltraFlat", lfsUltraFlat);
  RegisterPainter(u"Office11", lfsOffice11);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(List::GetColorMap(c.kind, c.state, c.checked, c.focused, c.designing), c.want);
  }
  // The body is the registered painter's of the kind's style; clWindow without one.
  struct RedBody : MetricsPainter {
    TColor RadioButtonBodyColor(TcxButtonState) override { return clRed; }
  };
  ASSERT_TRUE(cxLookAndFeelPaintersManager()->Unregister(u"Office11"));
  ASSERT_TRUE(cxLookAndFeelPaintersManager()->Unregister(u"Flat"));
  RegisterPainter<RedBody>(u"Office11", lfsOffice11);
  EXPECT_EQ(List::GetColorMap(lfOffice11, cxbsPressed, false, false, false)[List::rbpBody], clRed);
  EXPECT_EQ(List::GetColorMap(lfFlat, cxbsPressed, false, false, false)[List::rbpBody], clWindow);
}

TEST_F(PainterBitmapsTest, RadioImagesPerCombinationAndDpi) {
  TcxRadioButtonImageList* list = TcxRadioButtonImageListManager::Get(sf_);
  std::set<int32_t> indexes;
  for (bool focused : {false, true})
    for (bool designing : {false, true})
      for (TcxLookAndFeelKind kind : {lfFlat, lfStandard, lfUltraFlat, lfOffice11})
        for (bool checked : {false, true})
          for (TcxButtonState state : {cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled})
            indexes.insert(list->GetImageIndex(kind, state, checked, focused, designing));
  EXPECT_EQ(indexes.size(), 128u);
  EXPECT_EQ(*indexes.begin(), 0);
  // The default state has no images of its own: it is drawn as the normal one.
  EXPECT_EQ(list->GetImageIndex(lfStandard, cxbsDefault, true, false, false),
            list->GetImageIndex(lfStandard, cxbsNormal, true, false, false));
  // Scale factors of one DPI share a list.
  TdxScaleFactor a, b;
  a.Assign(3, 2, false);
  b.Assign(6, 4, false);
  EXPECT_EQ(TcxRadioButtonImageListManager::Get(&a), TcxRadioButtonImageListManager::Get(&b));
  EXPECT_NE(TcxRadioButtonImageListManager::Get(&a), list);
  EXPECT_EQ(TcxRadioButtonImageListManager::Get(&a)->GetSize(), (TSize{18, 18}));
}

TEST_F(PainterBitmapsTest, RadioButtonDrawsItsImage) {
  MetricsPainter painter;
  painter.style = lfsNative;  // drawn as Standard
  // With a brush colour the corners outside the button take it; without, they stay.
  auto onBrush = DrawProbe(14, 14, [&](TcxCanvas* c, const TRect&) {
    painter.DrawScaledRadioButton(c, 1, 1, cxbsNormal, true, false, clRed, sf_);
  });
  auto onCanvas = DrawProbe(14, 14, [&](TcxCanvas* c, const TRect&) {
    painter.DrawScaledRadioButton(c, 1, 1, cxbsDefault, true, false, clDefault, sf_);
  });
  onBrush->SavePng("painter_radio_on_brush");
  EXPECT_EQ(onBrush->Rgb(1, 1), ColorPx(clRed));
  EXPECT_EQ(onCanvas->Rgb(1, 1), onCanvas->Sentinel() & 0xFFFFFF);
  EXPECT_EQ(onBrush->Rgb(0, 0), onBrush->Sentinel() & 0xFFFFFF);  // nothing outside the image
  for (PainterProbe* p : {onBrush.get(), onCanvas.get()}) {
    EXPECT_EQ(p->Rgb(1 + 5, 1 + 5), ColorPx(clWindowText));  // the dot
    EXPECT_EQ(p->Rgb(1 + 1, 1 + 5), ColorPx(cl3DDkShadow));  // the Standard inner ring, upper left
    EXPECT_EQ(p->Rgb(1 + 0, 1 + 5), ColorPx(clBtnShadow));   // the outer ring
    EXPECT_EQ(p->Rgb(1 + 11, 1 + 5), ColorPx(clBtnHighlight));
    EXPECT_EQ(p->Rgb(1 + 3, 1 + 3), ColorPx(clWindow));  // the body
  }
  // A system colour change recolours the images (through the painters' primary notifier).
  const COLORREF old = GetSysColor(COLOR_WINDOWTEXT);
  const INT element = COLOR_WINDOWTEXT;
  const COLORREF green = RGB(0, 128, 0);
  SetSysColors(1, &element, &green);
  auto recoloured = DrawProbe(14, 14, [&](TcxCanvas* c, const TRect&) {
    painter.DrawScaledRadioButton(c, 1, 1, cxbsNormal, true, false, clDefault, sf_);
  });
  EXPECT_EQ(recoloured->Rgb(6, 6), 0x008000u);
  SetSysColors(1, &element, &old);
}

TEST_F(PainterBitmapsTest, ScrollBarPatternsAreCheckerboards) {
  ASSERT_TRUE(StdScrollBitmaps[0] && StdScrollBitmaps[1]);
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    auto probe =
        DrawProbe(8, 8, [&](TcxCanvas* c, const TRect&) { c->Draw(0, 0, StdScrollBitmaps[i].get()); });
    const std::vector<std::string> board = {"AbAbAbAb", "bAbAbAbA", "AbAbAbAb", "bAbAbAbA",
                                            "AbAbAbAb", "bAbAbAbA", "AbAbAbAb", "bAbAbAbA"};
    const std::map<char, TColor> legend =
        i == 0 ? std::map<char, TColor>{{'A', clBtnFace}, {'b', clBtnHighlight}}
               : std::map<char, TColor>{{'A', clBlack}, {'b', cl3DDkShadow}};
    EXPECT_TRUE(probe->Matches(board, legend));
  }
  DestroyStdScrollBarBitmaps();
  EXPECT_FALSE(StdScrollBitmaps[0]);
  UpdateScrollBarBitmaps();  // creates them when missing
  EXPECT_TRUE(StdScrollBitmaps[0] && StdScrollBitmaps[1]);
}

TEST_F(PainterBitmapsTest, SizeGripTurnsToItsCorner) {
  // The callback draws a bottom-right "grip": an L of three pixels in the corner.
  const TdxDrawSizeGripEvent grip = [](TcxCanvas* c, const TRect& R, const TdxScaleFactor*) {
    c->FillRect(TRect{R.Right - 2, R.Bottom - 1, R.Right, R.Bottom}, clRed);
    c->FillRect(TRect{R.Right - 1, R.Bottom - 2, R.Right, R.Bottom - 1}, clRed);
  };
  struct Case {
    TdxCorner corner;
    std::vector<std::string> mask;
  };
  const Case cases[] = {
      {coBottomRight, {"......", ".WWWW.", ".WWWW.", ".WWWR.", ".WWRR.", "......"}},
      {coTopLeft, {"......", ".RRWW.", ".RWWW.", ".WWWW.", ".WWWW.", "......"}},
      {coTopRight, {"......", ".WWRR.", ".WWWR.", ".WWWW.", ".WWWW.", "......"}},
      {coBottomLeft, {"......", ".WWWW.", ".WWWW.", ".RWWW.", ".RRWW.", "......"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.corner);
    auto probe = DrawProbe(6, 6, [&](TcxCanvas* ACanvas, const TRect&) {
      dxRotateSizeGrip(ACanvas, TRect{1, 1, 5, 5}, sf_, clWhite, c.corner, grip);
    });
    EXPECT_TRUE(probe->Matches(c.mask, {{'W', clWhite}, {'R', clRed}}));
  }
  // Without a background colour the grip lies over what the canvas showed.
  auto over = DrawProbe(6, 6, [&](TcxCanvas* ACanvas, const TRect&) {
    ACanvas->FillRect(TRect{1, 1, 3, 5}, clBlue);
    dxRotateSizeGrip(ACanvas, TRect{1, 1, 5, 5}, sf_, clNone, coTopRight, grip);
  });
  EXPECT_TRUE(over->Matches({"......", ".BBRR.", ".BB.R.", ".BB...", ".BB...", "......"},
                            {{'B', clBlue}, {'R', clRed}}));
}

TEST_F(PainterBitmapsTest, SchedulerPolygonsAndTextRect) {
  std::array<TPoint, 6> group{};
  cxGetSchedulerGroupPolygon(TRect{0, 0, 20, 10}, group);
  EXPECT_EQ(group, (std::array<TPoint, 6>{TPoint{0, 2}, TPoint{19, 2}, TPoint{19, 8}, TPoint{16, 5},
                                          TPoint{3, 5}, TPoint{0, 8}}));
  std::array<TPoint, 4> milestone{};
  cxGetSchedulerMilestonePolygon(TRect{0, 0, 11, 7}, milestone);
  EXPECT_EQ(milestone, (std::array<TPoint, 4>{TPoint{2, 3}, TPoint{5, 0}, TPoint{8, 3}, TPoint{5, 6}}));
  EXPECT_EQ(cxTextRect(TRect{0, 0, 10, 10}), (TRect{2, 2, 8, 8}));
}

}  // namespace
}  // namespace qd::testing
