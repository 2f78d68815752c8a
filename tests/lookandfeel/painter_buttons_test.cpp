// The base painter's buttons: face and symbol colours per state, the push button's caption
// placement, expand marks and buttons, crosses, zoom buttons and focus rectangles.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "lookandfeel/painter_draw_test_util.h"
#include "platform/os/user_display.h"
#include "ui/core/dxDPIAwareUtils.h"

namespace qd::testing {
namespace {

class PainterButtonsTest : public PainterDrawTest {
 protected:
  // The smallest rectangle holding every pixel that is neither AColor nor the sentinel (empty
  // when there is none).
  static TRect BoundsBesides(PainterProbe& AProbe, TColor AColor) {
    const uint32_t face = ColorPx(AColor), sentinel = AProbe.Sentinel() & 0xFFFFFF;
    TRect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int y = 0; y < AProbe.Bitmap().H(); ++y)
      for (int x = 0; x < AProbe.Bitmap().W(); ++x)
        if (AProbe.Rgb(x, y) != face && AProbe.Rgb(x, y) != sentinel)
          r = TRect{std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1),
                    std::max(r.Bottom, y + 1)};
    return r.Left == INT32_MAX ? TRect{} : r;
  }

  MetricsPainter painter_;
  TdxScaleFactor* sf_ = dxDefaultScaleFactor();
};

TEST_F(PainterButtonsTest, FaceAndSymbolColoursPerState) {
  struct Case {
    TcxButtonState state;
    TColor face, symbolDefault, symbolRed;
  };
  const Case cases[] = {
      {cxbsDefault, clBtnFace, clBtnText, clRed},
      {cxbsNormal, clBtnFace, clBtnText, clRed},
      {cxbsHot, clBtnFace, clBtnText, clRed},
      {cxbsPressed, clBtnFace, clBtnText, clRed},
      {cxbsDisabled, clBtnFace, clBtnShadow, clBtnShadow},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    EXPECT_EQ(painter_.ButtonColor(c.state), c.face);
    EXPECT_EQ(painter_.ButtonSymbolColor(c.state, clDefault), c.symbolDefault);
    EXPECT_EQ(painter_.ButtonSymbolColor(c.state, clRed), c.symbolRed);
    EXPECT_EQ(painter_.DefaultCommandLinkTextColor(c.state, clRed), c.symbolRed);
    EXPECT_EQ(painter_.ButtonSymbolState(c.state), c.state);
  }
}

TEST_F(PainterButtonsTest, PushButtonFaceBorderAndCaption) {
  // Without a caption only the face is drawn.
  auto empty = DrawProbe(8, 6, [&](TcxCanvas* c, const TRect& R) {
    painter_.DrawScaledButton(c, R, String(), cxbsNormal, sf_);
  });
  EXPECT_TRUE(empty->Matches({"FFFFFFFF", "FFFFFFFF", "FFFFFFFF", "FFFFFFFF", "FFFFFFFF", "FFFFFFFF"},
                             {{'F', clBtnFace}}));
  // A descendant's border is drawn and the face fills what it leaves, in the given colour.
  painter_.border = 1;
  auto framed = DrawProbe(6, 5, [&](TcxCanvas* c, const TRect& R) {
    painter_.DrawScaledButton(c, R, String(), cxbsHot, sf_, true, clRed);
  });
  EXPECT_TRUE(
      framed->Matches({"BBBBBB", "BRRRRB", "BRRRRB", "BRRRRB", "BBBBBB"}, {{'B', clBlue}, {'R', clRed}}));
  painter_.border = 0;

  auto caption = [&](int AHeight, TcxButtonState AState) {
    auto probe = DrawProbe(40, 24, [&](TcxCanvas* c, const TRect&) {
      c->Font()->SetName(u"DejaVu Sans");
      c->Font()->SetHeight(-11);
      painter_.DrawScaledButton(c, TRect{0, 0, 40, AHeight}, u"X", AState, sf_);
    });
    return BoundsBesides(*probe, clBtnFace);
  };
  const TRect at16 = caption(16, cxbsNormal);
  ASSERT_FALSE(at16.IsEmpty());
  // An odd height loses its last row, and a face below 18 pixels starts its caption one pixel
  // higher: 17 places the caption as 16 does, 19 as 18 does, and 18 one pixel lower than 16.
  EXPECT_EQ(caption(17, cxbsNormal), at16);
  EXPECT_EQ(caption(19, cxbsNormal), caption(18, cxbsNormal));
  EXPECT_EQ(caption(20, cxbsNormal), cxRectOffset(caption(18, cxbsNormal), 0, 1));
  // Pressed captions move by the painter's text shift, which is 0 in the base.
  EXPECT_EQ(caption(16, cxbsPressed), at16);
  painter_.shift = 1;
  EXPECT_EQ(caption(16, cxbsPressed), cxRectOffset(at16, 1, 1));
  EXPECT_EQ(caption(16, cxbsHot), at16);
}

TEST_F(PainterButtonsTest, ExpandMarksAreTwoChevrons) {
  const std::map<char, TColor> legend{{'#', clRed}};
  // Collapsed marks point down, with their apexes in column 7 on rows 6, 7 and 10, 11.
  auto collapsed = DrawProbe(
      15, 15, [&](TcxCanvas* c, const TRect& R) { painter_.DrawScaledExpandMark(c, R, clRed, false, sf_); });
  const std::vector<std::string> down = {
      "...............", "...............", "...............", "...............", "....##...##....",
      ".....##.##.....", "......###......", ".......#.......", "....##...##....", ".....##.##.....",
      "......###......", ".......#.......", "...............", "...............", "..............."};
  EXPECT_TRUE(collapsed->Matches(down, legend));
  auto expanded = DrawProbe(
      15, 15, [&](TcxCanvas* c, const TRect& R) { painter_.DrawScaledExpandMark(c, R, clRed, true, sf_); });
  EXPECT_TRUE(expanded->Matches(
      {"...............", "...............", "...............", ".......#.......", "......###......",
       ".....##.##.....", "....##...##....", ".......#.......", "......###......", ".....##.##.....",
       "....##...##....", "...............", "...............", "...............", "..............."},
      legend));
  // The group expand button is a face with the mark in the symbol colour.
  auto group = DrawProbe(15, 15, [&](TcxCanvas* c, const TRect& R) {
    painter_.DrawScaledGroupExpandButton(c, R, false, cxbsNormal, sf_);
  });
  std::vector<std::string> face = down;
  for (auto& row : face)
    for (char& ch : row) ch = ch == '#' ? '#' : 'F';
  EXPECT_TRUE(group->Matches(face, {{'#', clBtnText}, {'F', clBtnFace}}));
}

TEST_F(PainterButtonsTest, ExpandButtonTurnsItsMark) {
  const std::map<char, TColor> legend{{'#', clBtnText}, {'F', clBtnFace}};
  auto draw = [&](TcxRotationAngle AAngle) {
    return DrawProbe(15, 15, [&](TcxCanvas* c, const TRect& R) {
      painter_.DrawScaledExpandButtonEx(c, R, cxbsNormal, false, sf_, AAngle);
    });
  };
  std::vector<std::string> down = {"FFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFF",
                                   "FFFF##FFF##FFFF", "FFFFF##F##FFFFF", "FFFFFF###FFFFFF", "FFFFFFF#FFFFFFF",
                                   "FFFF##FFF##FFFF", "FFFFF##F##FFFFF", "FFFFFF###FFFFFF", "FFFFFFF#FFFFFFF",
                                   "FFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFF"};
  EXPECT_TRUE(draw(ra0)->Matches(down, legend));
  // Turned half-way the chevrons point up; turned a quarter, to the right (counter-clockwise)
  // or to the left.
  const std::vector<std::string> up(down.rbegin(), down.rend());
  EXPECT_TRUE(draw(ra180)->Matches(up, legend));
  std::vector<std::string> right(15, std::string(15, 'F')), left = right;
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 15; ++x) {
      right[y][x] = down[x][y];
      left[y][14 - x] = down[x][y];
    }
  EXPECT_TRUE(draw(raPlus90)->Matches(right, legend));
  EXPECT_TRUE(draw(raMinus90)->Matches(left, legend));
}

TEST_F(PainterButtonsTest, SmallExpandButtonsCrossesAndZoomButtons) {
  const std::map<char, TColor> legend{
      {'R', clRed}, {'#', clBtnText}, {'W', clWhite}, {'F', clBtnFace}, {'S', clBtnShadow}};
  using Draw = std::function<void(TcxCanvas*, const TRect&)>;
  struct Case {
    const char* name;
    int w, h;
    Draw draw;
    std::vector<std::string> mask;
  };
  const std::vector<Case> cases = {
      // A plus in a frame; without a colour the inside is left as it was.
      {"small collapsed",
       9,
       9,
       [&](TcxCanvas* c, const TRect& R) { painter_.DrawScaledSmallExpandButton(c, R, false, clRed, sf_); },
       {"RRRRRRRRR", "R.......R", "R...#...R", "R...#...R", "R.#####.R", "R...#...R", "R...#...R",
        "R.......R", "RRRRRRRRR"}},
      {"small expanded, filled",
       9,
       9,
       [&](TcxCanvas* c, const TRect& R) {
         painter_.DrawScaledSmallExpandButton(c, R, true, clRed, sf_, clWhite);
       },
       {"RRRRRRRRR", "RWWWWWWWR", "RWWWWWWWR", "RWWWWWWWR", "RW#####WR", "RWWWWWWWR", "RWWWWWWWR",
        "RWWWWWWWR", "RRRRRRRRR"}},
      // The close cross: half the filter close button's width, made odd (7), two pixels wide.
      {"small close",
       16,
       14,
       [&](TcxCanvas* c, const TRect& R) { painter_.DrawScaledSmallCloseButton(c, R, cxbsNormal, sf_); },
       {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "FFFF##FFFF##FFFF", "FFFFF##FF##FFFFF",
        "FFFFFF####FFFFFF", "FFFFFFF##FFFFFFF", "FFFFFF####FFFFFF", "FFFFF##FF##FFFFF", "FFFF##FFFF##FFFF",
        "FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF"}},
      {"pressed disabled cross",
       16,
       14,
       [&](TcxCanvas* c, const TRect& R) {
         painter_.DrawScaledButtonCross(c, R, clBtnShadow, cxbsPressed, sf_);
       },
       {"................", "................", "................", "................", ".....SS....SS...",
        "......SS..SS....", ".......SSSS.....", "........SS......", ".......SSSS.....", "......SS..SS....",
        ".....SS....SS...", "................", "................", "................"}},
      {"zoom out",
       9,
       9,
       [&](TcxCanvas* c, const TRect& R) { painter_.DrawScaledZoomOutButton(c, R, cxbsNormal, sf_); },
       {".........", ".FFFFFFF.", ".FFFFFFF.", ".FFFFFFF.", ".FF###FF.", ".FFFFFFF.", ".FFFFFFF.",
        ".FFFFFFF.", "........."}},
      {"zoom in, disabled",
       9,
       9,
       [&](TcxCanvas* c, const TRect& R) { painter_.DrawScaledZoomInButton(c, R, cxbsDisabled, sf_); },
       {".........", ".FFFFFFF.", ".FFFFFFF.", ".FFFSFFF.", ".FFSSSFF.", ".FFFSFFF.", ".FFFFFFF.",
        ".FFFFFFF.", "........."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto probe = DrawProbe(c.w, c.h, c.draw);
    EXPECT_TRUE(probe->Matches(c.mask, legend));
  }
}

// Every pixel of a probe, row by row.
std::vector<uint32_t> PixelsOf(PainterProbe& AProbe) {
  std::vector<uint32_t> result;
  for (int y = 0; y < AProbe.Bitmap().H(); ++y)
    for (int x = 0; x < AProbe.Bitmap().W(); ++x) result.push_back(AProbe.Rgb(x, y));
  return result;
}

TEST_F(PainterButtonsTest, GlyphStripsPickTheirRowByState) {
  // Both strips hold four rows; a row is a quarter of the glyph's height.
  EXPECT_EQ(painter_.ScaledSearchButtonGlyphSize(sf_), (TSize{16, 16}));
  EXPECT_EQ(painter_.GetScaledBackButtonSize(sf_), (TSize{24, 24}));
  using Draw = std::function<std::unique_ptr<PainterProbe>(TcxButtonState)>;
  const Draw search = [&](TcxButtonState AState) {
    return DrawProbe(20, 20, [&](TcxCanvas* c, const TRect& R) {
      painter_.DrawScaledSearchEditButtonGlyph(c, R, AState, sf_);
    });
  };
  const Draw back = [&](TcxButtonState AState) {
    return DrawProbe(24, 24,
                     [&](TcxCanvas* c, const TRect& R) { painter_.DrawScaledBackButton(c, R, AState, sf_); });
  };
  // The default state, which has no row of its own, draws the normal row (not the rows above
  // the image); every other state its own row.
  for (const Draw& draw : {search, back}) {
    const auto normal = PixelsOf(*draw(cxbsNormal));
    EXPECT_EQ(PixelsOf(*draw(cxbsDefault)), normal);
    EXPECT_NE(PixelsOf(*draw(cxbsHot)), normal);
    EXPECT_NE(PixelsOf(*draw(cxbsPressed)), PixelsOf(*draw(cxbsHot)));
    EXPECT_NE(PixelsOf(*draw(cxbsDisabled)), normal);
  }
  // The search glyph is centred: nothing in the two-pixel margin of a 20-pixel button.
  auto probe = search(cxbsNormal);
  for (int i = 0; i < 20; ++i)
    for (int j : {0, 1, 18, 19}) {
      EXPECT_EQ(probe->Rgb(i, j), probe->Sentinel() & 0xFFFFFF);
      EXPECT_EQ(probe->Rgb(j, i), probe->Sentinel() & 0xFFFFFF);
    }
  // The command-link arrow: the hot glyph lies below the normal one; a right-to-left canvas
  // mirrors it.
  auto link = [&](TcxButtonState AState, bool ARtl) {
    return DrawProbe(24, 22, [&](TcxCanvas* c, const TRect&) {
      c->SetUseRightToLeftAlignment(ARtl);
      painter_.DrawScaledCommandLinkGlyph(c, TPoint{2, 1}, AState, sf_);
    });
  };
  auto normal = link(cxbsNormal, false), mirrored = link(cxbsNormal, true);
  EXPECT_NE(PixelsOf(*link(cxbsHot, false)), PixelsOf(*normal));
  EXPECT_EQ(normal->Rgb(1, 10), normal->Sentinel() & 0xFFFFFF);
  int drawn = 0;
  for (int y = 1; y < 21; ++y)
    for (int x = 2; x < 22; ++x) {
      EXPECT_EQ(mirrored->Rgb(x, y), normal->Rgb(23 - x, y)) << x << "," << y;
      drawn += normal->Rgb(x, y) != (normal->Sentinel() & 0xFFFFFF);
    }
  EXPECT_GT(drawn, 20);
}

TEST_F(PainterButtonsTest, SizesAndFocusRectangle) {
  TdxScaleFactor big;
  big.Assign(3, 2, false);
  PainterProbe probe(1, 1);
  // Deflating by 4 (scaled) would leave nothing: the rectangle itself.
  EXPECT_EQ(painter_.ScaledButtonFocusRect(probe.Canvas(), TRect{0, 0, 6, 6}, sf_), (TRect{0, 0, 6, 6}));
  EXPECT_EQ(painter_.ScaledButtonFocusRect(probe.Canvas(), TRect{0, 0, 20, 20}, sf_), (TRect{4, 4, 16, 16}));
  EXPECT_EQ(painter_.ScaledButtonFocusRect(probe.Canvas(), TRect{0, 0, 20, 20}, &big), (TRect{6, 6, 14, 14}));
  EXPECT_EQ(painter_.ScaledGroupExpandButtonSize(&big), 23);  // 15 * 3 / 2, halves away from zero
  EXPECT_EQ(painter_.ScaledSmallExpandButtonSize(&big), 14);
  EXPECT_EQ(painter_.GetScaledDropDownButtonRightPartSize(&big), 23);
  EXPECT_EQ(painter_.ScaledSmallCloseButtonSize(&big), (TSize{21, 23}));
  EXPECT_EQ(painter_.GetScaledCommandLinkMargins(&big), (TRect{11, 15, 11, 15}));
  EXPECT_EQ(painter_.ScaledFilterCloseButtonSize(sf_), (TPoint{16, 14}));
}

// (The shared scale factors are made again here: sf_ is not used.)
TEST_F(PainterButtonsTest, UnscaledFormsDrawAtTheSystemScaleFactor) {
  SystemDpiScope dpi(144);
  ASSERT_EQ(dxSystemScaleFactor()->TargetDPI(), 144);
  TdxScaleFactor big;
  big.Assign(3, 2, false);
  using Draw = std::function<void(TcxCanvas*, const TRect&)>;
  struct Case {
    const char* name;
    Draw unscaled, scaled;
  };
  const std::vector<Case> cases = {
      {"expand mark", [&](TcxCanvas* c, const TRect& R) { painter_.DrawExpandMark(c, R, clRed, false); },
       [&](TcxCanvas* c, const TRect& R) { painter_.DrawScaledExpandMark(c, R, clRed, false, &big); }},
      {"small expand button",
       [&](TcxCanvas* c, const TRect& R) { painter_.DrawSmallExpandButton(c, R, false, clRed); },
       [&](TcxCanvas* c, const TRect& R) { painter_.DrawScaledSmallExpandButton(c, R, false, clRed, &big); }},
      {"zoom in", [&](TcxCanvas* c, const TRect& R) { painter_.DrawZoomInButton(c, R, cxbsHot); },
       [&](TcxCanvas* c, const TRect& R) { painter_.DrawScaledZoomInButton(c, R, cxbsHot, &big); }},
      {"small close", [&](TcxCanvas* c, const TRect& R) { painter_.DrawSmallCloseButton(c, R, cxbsPressed); },
       [&](TcxCanvas* c, const TRect& R) { painter_.DrawScaledSmallCloseButton(c, R, cxbsPressed, &big); }},
      {"scroll arrow",
       [&](TcxCanvas* c, const TRect& R) { painter_.DrawScrollBarArrow(c, R, cxbsDisabled, adRight); },
       [&](TcxCanvas* c, const TRect& R) {
         painter_.DrawScaledScrollBarArrow(c, R, cxbsDisabled, adRight, &big);
       }},
      {"check button",
       [&](TcxCanvas* c, const TRect& R) { painter_.DrawCheckButton(c, R, cxbsNormal, true); },
       [&](TcxCanvas* c, const TRect& R) { painter_.DrawScaledCheckButton(c, R, cxbsNormal, true, &big); }},
      {"radio button",
       [&](TcxCanvas* c, const TRect&) {
         painter_.DrawRadioButton(c, 1, 1, cxbsNormal, true, false, clDefault);
       },
       [&](TcxCanvas* c, const TRect&) {
         painter_.DrawScaledRadioButton(c, 1, 1, cxbsNormal, true, false, clDefault, &big);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto unscaled = DrawProbe(22, 22, c.unscaled);
    auto scaled = DrawProbe(22, 22, c.scaled);
    EXPECT_EQ(PixelsOf(*unscaled), PixelsOf(*scaled));
    EXPECT_GT(unscaled->Bitmap().CountDrawn(), 0);
  }
  // The system's check box is measured at the system DPI, and converted from there.
  EXPECT_EQ(painter_.CheckButtonSize(), (TSize{20, 20}));
  EXPECT_EQ(painter_.ScaledCheckButtonSize(&big), (TSize{20, 20}));
  EXPECT_EQ(painter_.ScaledCheckButtonSize(dxDefaultScaleFactor()), (TSize{13, 13}));
  EXPECT_EQ(painter_.RadioButtonSize(), painter_.ScaledRadioButtonSize(&big));
  EXPECT_EQ(painter_.SmallCloseButtonSize(), painter_.ScaledSmallCloseButtonSize(&big));
  EXPECT_EQ(painter_.GroupExpandButtonSize(), 23);
  EXPECT_EQ(painter_.GetBackButtonSize(), (TSize{36, 36}));
}

}  // namespace
}  // namespace qd::testing
