// The base painter's check boxes, toggle switches and radio buttons.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "lookandfeel/painter_draw_test_util.h"
#include "ui/core/dxDPIAwareUtils.h"

namespace qd::testing {
namespace {

class PainterChecksTest : public PainterDrawTest {
 protected:
  MetricsPainter painter_;
  TdxScaleFactor* sf_ = dxDefaultScaleFactor();
};

// The classic check mark of a 13 x 13 button: 'F' the face, '#' the mark.
std::vector<std::string> CheckButton13(char AFace, char AMark) {
  std::vector<std::string> rows = {".............", ".............", "..FFFFFFFFF..", "..FFFFFFF#F..",
                                   "..FFFFFF##F..", "..F#FFF###F..", "..F##F###FF..", "..F#####FFF..",
                                   "..FF###FFFF..", "..FFF#FFFFF..", "..FFFFFFFFF..", ".............",
                                   "............."};
  for (auto& row : rows)
    for (char& ch : row) ch = ch == 'F' ? AFace : ch == '#' ? AMark : ch;
  return rows;
}

TEST_F(PainterChecksTest, CheckButtonFaceAndMarkPerState) {
  const std::map<char, TColor> legend{{'W', clWindow}, {'F', clBtnFace}, {'#', clBtnText}, {'G', clGrayText}};
  struct Case {
    const char* name;
    TcxButtonState state;
    TcxCheckBoxState check;
    char face, mark;
  };
  const Case cases[] = {
      {"normal checked", cxbsNormal, cbsChecked, 'W', '#'},
      {"default checked", cxbsDefault, cbsChecked, 'W', '#'},
      {"disabled checked", cxbsDisabled, cbsChecked, 'F', 'G'},
      // A grayed box shows the checked mark, in the grey text colour.
      {"normal grayed", cxbsNormal, cbsGrayed, 'F', 'G'},
      {"hot grayed", cxbsHot, cbsGrayed, 'W', 'G'},
      {"hot unchecked", cxbsHot, cbsUnchecked, 'W', 'W'},
      {"pressed unchecked", cxbsPressed, cbsUnchecked, 'F', 'F'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto probe = DrawProbe(13, 13, [&](TcxCanvas* ACanvas, const TRect& R) {
      painter_.DrawScaledCheckButton(ACanvas, R, c.state, c.check, sf_);
    });
    EXPECT_TRUE(probe->Matches(CheckButton13(c.face, c.mark), legend));
  }
  // The Boolean form is the checked or unchecked state.
  auto probe = DrawProbe(13, 13, [&](TcxCanvas* ACanvas, const TRect& R) {
    painter_.DrawScaledCheckButton(ACanvas, R, cxbsNormal, true, sf_);
  });
  EXPECT_TRUE(probe->Matches(CheckButton13('W', '#'), legend));
}

TEST_F(PainterChecksTest, CheckWithAClearBrushPaintsOnlyTheMark) {
  auto probe = DrawProbe(13, 13, [&](TcxCanvas* ACanvas, const TRect&) {
    ACanvas->Brush()->SetStyle(bsClear);
    painter_.DrawScaledCheck(ACanvas, TRect{2, 2, 11, 11}, cxbsNormal, cbsChecked, clRed, sf_);
  });
  EXPECT_TRUE(probe->Matches(CheckButton13('.', '#'), clRed));
  // The mark is clipped to its box, and the caller's clip region is back afterwards.
  auto clipped = DrawProbe(13, 13, [&](TcxCanvas* ACanvas, const TRect& R) {
    painter_.DrawScaledCheck(ACanvas, TRect{2, 2, 11, 11}, cxbsNormal, cbsChecked, clRed, sf_);
    ACanvas->FillRect(TRect{0, 0, 1, 1}, clBlue);
    ACanvas->FillRect(TRect{12, 12, 13, 13}, clBlue);
  });
  EXPECT_EQ(clipped->Rgb(0, 0), ColorPx(clBlue));
  EXPECT_EQ(clipped->Rgb(12, 12), ColorPx(clBlue));
}

TEST_F(PainterChecksTest, CheckAndRadioSizes) {
  EXPECT_EQ(painter_.ScaledCheckButtonSize(dxSystemScaleFactor()), (TSize{13, 13}));
  TdxScaleFactor big;
  big.Assign(3, 2, false);
  EXPECT_EQ(painter_.ScaledCheckButtonSize(&big), (TSize{20, 20}));  // 19.5 rounds away from zero
  EXPECT_EQ(painter_.ScaledRadioButtonSize(sf_), (TSize{12, 12}));
  EXPECT_EQ(painter_.ScaledRadioButtonSize(&big), (TSize{18, 18}));
  EXPECT_EQ(painter_.CheckBorderSize(), 2);
  cxIsTouchModeEnabled = true;
  EXPECT_EQ(painter_.ScaledCheckButtonAreaSize(sf_), (TSize{27, 27}));
  cxIsTouchModeEnabled = false;
  EXPECT_EQ(painter_.ScaledCheckButtonAreaSize(sf_), (TSize{13, 13}));
}

TEST_F(PainterChecksTest, TouchSizesRaiseOnlyPositiveValuesInTouchMode) {
  TdxScaleFactor big;
  big.Assign(3, 2, false);
  struct Case {
    bool touch;
    int32_t value;
    const TdxScaleFactor* scale;
    int32_t want;
  };
  const Case cases[] = {{false, 5, nullptr, 5},  {true, 5, nullptr, 27},  {true, 0, nullptr, 0},
                        {true, -3, nullptr, -3}, {true, 30, nullptr, 30}, {true, 5, &big, 41}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    cxIsTouchModeEnabled = c.touch;
    int32_t v = c.value;
    dxAdjustToTouchableSize(v, c.scale);
    EXPECT_EQ(v, c.want);
    TSize s{c.value, 50};
    dxAdjustToTouchableSize(s, c.scale);
    EXPECT_EQ(s, (TSize{c.want, 50}));
  }
  cxIsTouchModeEnabled = false;
}

// Fills the track green when checked and red when not.
class TrackPainter : public MetricsPainter {
 public:
  void DrawScaledToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState, bool AChecked,
                                   TdxScaleFactor*) override {
    ACanvas->FillRect(ABounds, AChecked ? clLime : clRed);
  }
};

TEST_F(PainterChecksTest, ToggleSwitchTrackFollowsTheThumb) {
  TrackPainter painter;
  struct Case {
    const char* name;
    TRect thumb;
    bool rtl;
    std::string row;
  };
  const Case cases[] = {
      {"thumb left", {0, 0, 8, 3}, false, "RRRRRRRRRRRRRRRRRRRR"},
      {"thumb left, right to left", {0, 0, 8, 3}, true, "GGGGGGGGGGGGGGGGGGGG"},
      {"thumb right", {12, 0, 20, 3}, false, "GGGGGGGGGGGGGGGGGGGG"},
      {"thumb right, right to left", {12, 0, 20, 3}, true, "RRRRRRRRRRRRRRRRRRRR"},
      // Moving: checked up to the thumb's middle, unchecked from there.
      {"moving", {3, 0, 11, 3}, false, "GGGGGGGRRRRRRRRRRRRR"},
      {"moving, right to left", {3, 0, 11, 3}, true, "RRRRRRRGGGGGGGGGGGGG"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto probe = DrawProbe(20, 3, [&](TcxCanvas* ACanvas, const TRect& R) {
      ACanvas->SetUseRightToLeftAlignment(c.rtl);
      painter.DrawScaledToggleSwitch(ACanvas, R, cxbsNormal, c.thumb, sf_);
      ACanvas->SetUseRightToLeftAlignment(false);
      // The halves' clipping is undone.
      ACanvas->FillRect(TRect{19, 2, 20, 3}, clBlue);
    });
    std::string last = c.row;
    last.back() = 'B';
    EXPECT_TRUE(probe->Matches({c.row, c.row, last}, {{'G', clLime}, {'R', clRed}, {'B', clBlue}}));
  }
  // The thumb is a button two pixels inside its bounds.
  auto thumb = DrawProbe(8, 6, [&](TcxCanvas* ACanvas, const TRect& R) {
    painter.DrawScaledToggleSwitchThumb(ACanvas, R, cxbsNormal, sf_);
  });
  EXPECT_TRUE(thumb->Matches({"........", "........", "..FFFF..", "..FFFF..", "........", "........"},
                             {{'F', clBtnFace}}));
  EXPECT_EQ(painter.GetToggleSwitchTextColor(), painter.DefaultContentTextColor());
  EXPECT_EQ(painter.GetToggleSwitchThumbPercentsWidth(), 50);
}

}  // namespace
}  // namespace qd::testing
