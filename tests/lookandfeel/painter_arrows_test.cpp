// The base painter's arrows, borders, separators, bevels and label lines, as pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lookandfeel/painter_draw_test_util.h"
#include "ui/core/dxDPIAwareUtils.h"

namespace qd::testing {
namespace {

class PainterArrowsTest : public PainterDrawTest {
 protected:
  MetricsPainter painter_;
  TdxScaleFactor* sf_ = dxDefaultScaleFactor();
};

TEST_F(PainterArrowsTest, ArrowPointsFollowTheIntegerGeometry) {
  struct Case {
    const char* name;
    TRect r;
    TcxArrowDirection dir;
    bool proportional;
    int32_t size;
    TcxArrowPoints want;
  };
  const Case cases[] = {
      {"down, square", {0, 0, 9, 9}, adDown, true, 0, {TPoint{6, 3}, TPoint{4, 5}, TPoint{2, 3}}},
      {"up, square", {0, 0, 9, 9}, adUp, true, 0, {TPoint{2, 5}, TPoint{4, 3}, TPoint{6, 5}}},
      {"left, square", {0, 0, 9, 9}, adLeft, true, 0, {TPoint{5, 6}, TPoint{3, 4}, TPoint{5, 2}}},
      {"right, square", {0, 0, 9, 9}, adRight, true, 0, {TPoint{3, 2}, TPoint{5, 4}, TPoint{3, 6}}},
      // A wide rectangle is squared around its centre: the arrow of a 10 x 10 square moved by 5.
      {"down, made square", {0, 0, 20, 10}, adDown, true, 0, {TPoint{11, 4}, TPoint{9, 6}, TPoint{7, 4}}},
      // Not squared: the size comes from the full width.
      {"down, wide", {0, 0, 12, 6}, adDown, false, 0, {TPoint{7, 2}, TPoint{5, 4}, TPoint{3, 2}}},
      // The vertical start rounds half away from zero (MulDiv), the centre truncates.
      {"right, given size", {0, 0, 9, 8}, adRight, false, 2, {TPoint{3, 3}, TPoint{4, 4}, TPoint{3, 5}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TcxArrowPoints p{};
    painter_.CalculateArrowPoints(c.r, p, c.dir, c.proportional, c.size);
    EXPECT_EQ(p, c.want);
  }
}

TEST_F(PainterArrowsTest, ArrowsAreFilledTriangles) {
  struct Case {
    const char* name;
    TcxArrowDirection dir;
    std::vector<std::string> mask;
  };
  const std::vector<Case> cases = {
      {"up",
       adUp,
       {".........", ".........", ".........", "....#....", "...###...", "..#####..", ".........",
        ".........", "........."}},
      {"down",
       adDown,
       {".........", ".........", ".........", "..#####..", "...###...", "....#....", ".........",
        ".........", "........."}},
      {"left",
       adLeft,
       {".........", ".........", ".....#...", "....##...", "...###...", "....##...", ".....#...",
        ".........", "........."}},
      {"right",
       adRight,
       {".........", ".........", "...#.....", "...##....", "...###...", "...##....", "...#.....",
        ".........", "........."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto probe = DrawProbe(
        9, 9, [&](TcxCanvas* ACanvas, const TRect& R) { painter_.DrawArrow(ACanvas, R, c.dir, clRed); });
    EXPECT_TRUE(probe->Matches(c.mask, clRed));
  }
  // The drop-down arrow has its own geometry: half the width, made odd.
  auto probe = DrawProbe(
      12, 8, [&](TcxCanvas* ACanvas, const TRect& R) { painter_.DrawButtonArrow(ACanvas, R, clRed); });
  EXPECT_TRUE(probe->Matches({"............", "............", "..#######...", "...#####....", "....###.....",
                              ".....#......", "............", "............"},
                             clRed));
}

TEST_F(PainterArrowsTest, ArrowButtonsDrawFaceBorderAndSymbol) {
  const std::map<char, TColor> legend{{'F', clBtnFace}, {'#', clBtnText}, {'B', clBlue}, {'S', clBtnShadow}};
  auto plain = DrawProbe(12, 6, [&](TcxCanvas* ACanvas, const TRect& R) {
    painter_.DrawScaledArrow(ACanvas, R, cxbsNormal, adDown, sf_, false);
  });
  EXPECT_TRUE(plain->Matches(
      {"FFFFFFFFFFFF", "FFFFFFFFFFFF", "FFF#####FFFF", "FFFF###FFFFF", "FFFFF#FFFFFF", "FFFFFFFFFFFF"},
      legend));
  painter_.border = 1;
  auto bordered = DrawProbe(12, 6, [&](TcxCanvas* ACanvas, const TRect& R) {
    painter_.DrawScaledArrow(ACanvas, R, cxbsDisabled, adDown, sf_, true);
  });
  EXPECT_TRUE(bordered->Matches(
      {"BBBBBBBBBBBB", "BFFFFFFFFFFB", "BFFSSSSSFFFB", "BFFFSSSFFFFB", "BFFFFSFFFFFB", "BBBBBBBBBBBB"},
      legend));
}

TEST_F(PainterArrowsTest, ScrollBarArrowsShiftWhenPressedAndEmbossWhenDisabled) {
  const std::map<char, TColor> legend{{'#', clBtnText}, {'S', clBtnShadow}, {'H', clBtnHighlight}};
  auto draw = [&](TcxButtonState AState) {
    return DrawProbe(10, 10, [&](TcxCanvas* ACanvas, const TRect&) {
      painter_.DrawScaledScrollBarArrow(ACanvas, TRect{0, 0, 9, 9}, AState, adUp, sf_);
    });
  };
  // No background; the highlight copy lies one pixel right and down, under the shadow arrow.
  EXPECT_TRUE(draw(cxbsDisabled)
                  ->Matches({"..........", "..........", "..........", "....S.....", "...SSS....",
                             "..SSSSS...", "...HHHHH..", "..........", "..........", ".........."},
                            legend));
  const std::vector<std::string> normal = {"..........", "..........", "..........", "....#.....",
                                           "...###....", "..#####...", "..........", "..........",
                                           "..........", ".........."};
  EXPECT_TRUE(draw(cxbsNormal)->Matches(normal, legend));
  EXPECT_TRUE(draw(cxbsPressed)->Matches(normal, legend));  // the base shift is 0
  painter_.shift = 1;
  EXPECT_TRUE(draw(cxbsPressed)
                  ->Matches({"..........", "..........", "..........", "..........", ".....#....",
                             "....###...", "...#####..", "..........", "..........", ".........."},
                            legend));
}

TEST_F(PainterArrowsTest, CollapseArrowIsTwoChevronsPointingLeft) {
  auto probe = DrawProbe(
      11, 11, [&](TcxCanvas* ACanvas, const TRect& R) { painter_.DrawCollapseArrow(ACanvas, R, clRed, 1); });
  EXPECT_TRUE(probe->Matches(
      {"...........", "...........", "...........", "...........", "....#.#....", "...#.#.....",
       "....#.#....", "...........", "...........", "...........", "..........."},
      clRed));
}

TEST_F(PainterArrowsTest, ContainerBordersByStyle) {
  const std::map<char, TColor> legend{{'R', clRed},     {'S', clBtnShadow},  {'H', clBtnHighlight},
                                      {'F', clBtnFace}, {'D', cl3DDkShadow}, {'L', cl3DLight}};
  const TcxBorders topBottom{bTop, bBottom};
  struct Case {
    const char* name;
    TcxContainerBorderStyle style;
    int32_t width;
    TcxBorders borders;
    std::vector<std::string> mask;
  };
  const std::vector<Case> cases = {
      // Single and thick frames ignore the sides they are given.
      {"single without left",
       cbsSingle,
       1,
       TcxBorders{bTop, bRight, bBottom},
       {"RRRRRR", "R....R", "R....R", "R....R", "R....R", "RRRRRR"}},
      {"thick", cbsThick, 2, cxBordersAll, {"RRRRRR", "RRRRRR", "RR..RR", "RR..RR", "RRRRRR", "RRRRRR"}},
      {"flat", cbsFlat, 2, cxBordersAll, {"SSSSSH", "SFFFFH", "SF..FH", "SF..FH", "SFFFFH", "HHHHHH"}},
      {"flat, top and bottom",
       cbsFlat,
       2,
       topBottom,
       {"SSSSSS", ".FFFF.", ".F..F.", ".F..F.", ".FFFF.", "HHHHHH"}},
      {"3D", cbs3D, 2, cxBordersAll, {"SSSSSH", "SDDDLH", "SD..LH", "SD..LH", "SLLLLH", "HHHHHH"}},
      {"none", cbsNone, 1, cxBordersAll, {"......", "......", "......", "......", "......", "......"}},
      {"ultra flat",
       cbsUltraFlat,
       1,
       cxBordersAll,
       {"......", "......", "......", "......", "......", "......"}},
      {"office 11",
       cbsOffice11,
       1,
       cxBordersAll,
       {"......", "......", "......", "......", "......", "......"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto probe = DrawProbe(6, 6, [&](TcxCanvas* ACanvas, const TRect& R) {
      painter_.DrawContainerBorder(ACanvas, R, c.style, c.width, clRed, c.borders);
    });
    EXPECT_TRUE(probe->Matches(c.mask, legend));
  }
  EXPECT_EQ(painter_.GetContainerBorderWidth(cbsFlat), 2);
  EXPECT_EQ(painter_.GetContainerBorderWidth(cbsUltraFlat), 1);
}

TEST_F(PainterArrowsTest, SeparatorsBevelsAndLabelLines) {
  const std::map<char, TColor> legend{{'S', clBtnShadow}, {'H', clBtnHighlight}, {'R', clRed}, {'B', clBlue}};
  using Draw = std::function<void(TcxCanvas*, const TRect&)>;
  struct Case {
    const char* name;
    Draw draw;
    std::vector<std::string> mask;
  };
  const std::vector<Case> cases = {
      // The base separator band is BorderSize (0) thick: nothing shows.
      {"separator",
       [&](TcxCanvas* c, const TRect& R) { painter_.DrawSeparator(c, R, false); },
       {"......", "......", "......", "......", "......", "......"}},
      {"etched separator",
       [&](TcxCanvas* c, const TRect&) {
         painter_.DoDrawSeparator(c, TRect{1, 1, 5, 4}, false);
       },
       {"......", ".SSS..", ".SHHH.", "..HHH.", "......", "......"}},
      {"label line, horizontal",
       [&](TcxCanvas* c, const TRect&) {
         painter_.DrawLabelLine(c, TRect{0, 2, 6, 4}, clDefault, clDefault, false);
       },
       {"......", "......", "SSSSSS", "HHHHHH", "......", "......"}},
      {"label line, vertical, own colours",
       [&](TcxCanvas* c, const TRect&) {
         painter_.DrawLabelLine(c, TRect{2, 0, 4, 6}, clRed, clBlue, true);
       },
       {"..RB..", "..RB..", "..RB..", "..RB..", "..RB..", "..RB.."}},
      {"lowered box",
       [&](TcxCanvas* c, const TRect& R) { painter_.DrawBevelShape(c, R, dxbsBox, dxbsLowered); },
       {"SSSSSH", "S....H", "S....H", "S....H", "S....H", "HHHHHH"}},
      // Raised shapes exchange the colours: the highlight goes left and top.
      {"raised box",
       [&](TcxCanvas* c, const TRect& R) { painter_.DrawBevelShape(c, R, dxbsBox, dxbsRaised); },
       {"HHHHHS", "H....S", "H....S", "H....S", "H....S", "SSSSSS"}},
      {"lowered frame",
       [&](TcxCanvas* c, const TRect& R) { painter_.DrawBevelShape(c, R, dxbsFrame, dxbsLowered); },
       {"SSSSS.", "SHHHSH", "SH..SH", "SH..SH", "SSSSSH", ".HHHHH"}},
      {"top line",
       [&](TcxCanvas* c, const TRect& R) { painter_.DrawBevelShape(c, R, dxbsLineTop, dxbsLowered); },
       {"SSSSSS", "HHHHHH", "......", "......", "......", "......"}},
      {"bottom line",
       [&](TcxCanvas* c, const TRect& R) { painter_.DrawBevelShape(c, R, dxbsLineBottom, dxbsLowered); },
       {"......", "......", "......", "......", "SSSSSS", "HHHHHH"}},
      {"raised left line",
       [&](TcxCanvas* c, const TRect& R) { painter_.DrawBevelShape(c, R, dxbsLineLeft, dxbsRaised); },
       {"HS....", "HS....", "HS....", "HS....", "HS....", "HS...."}},
      {"right line",
       [&](TcxCanvas* c, const TRect& R) { painter_.DrawBevelShape(c, R, dxbsLineRight, dxbsLowered); },
       {"....SH", "....SH", "....SH", "....SH", "....SH", "....SH"}},
      {"centred vertical line",
       [&](TcxCanvas* c, const TRect& R) {
         painter_.DrawBevelShape(c, R, dxbsLineCenteredHorz, dxbsLowered);
       },
       {"..SH..", "..SH..", "..SH..", "..SH..", "..SH..", "..SH.."}},
      {"centred horizontal line",
       [&](TcxCanvas* c, const TRect& R) {
         painter_.DrawBevelShape(c, R, dxbsLineCenteredVert, dxbsLowered);
       },
       {"......", "......", "SSSSSS", "HHHHHH", "......", "......"}},
      {"no shape",
       [&](TcxCanvas* c, const TRect& R) { painter_.DrawBevelShape(c, R, dxbsNone, dxbsLowered); },
       {"......", "......", "......", "......", "......", "......"}},
      // A missing second colour: a plain frame, or a plain line.
      {"one-colour frame",
       [&](TcxCanvas* c, const TRect& R) { painter_.DrawBevelFrame(c, R, clRed, clNone, false); },
       {"RRRRRR", "R....R", "R....R", "R....R", "R....R", "RRRRRR"}},
      {"one-colour line",
       [&](TcxCanvas* c, const TRect&) {
         painter_.DrawBevelLine(c, TRect{0, 1, 6, 3}, clRed, clNone, false);
       },
       {"......", "RRRRRR", "RRRRRR", "......", "......", "......"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto probe = DrawProbe(6, 6, c.draw);
    EXPECT_TRUE(probe->Matches(c.mask, legend));
  }
}

}  // namespace
}  // namespace qd::testing
