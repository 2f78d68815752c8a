// The spin editor's buttons: where they stand in each arrangement, reading direction and touch
// mode, and how each look draws them.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "editors/text_edit_test_util.h"
#include "platform/os/user_display.h"
#include "ui/editors/concrete/cxSpinEdit.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersBitmaps.h"

namespace qd::testing {
namespace {

constexpr int kEditLeft = 10, kEditTop = 10;

class SpinButtonsTest : public TextEditTest {
 protected:
  void TearDown() override {
    cxIsTouchModeEnabled = false;
    TextEditTest::TearDown();
  }

  // One editor per test, set up again for each case.
  TcxSpinEdit* NewSpin(TcxSpinEditButtonsPosition APosition, bool AFast, bool ARightToLeft) {
    if (!edit_) {
      edit_ = NewFocusedEdit<TcxSpinEdit>();
      // Wide enough for four touch-sized buttons and some text.
      edit_->SetBounds(kEditLeft, kEditTop, 220, 21);
    }
    edit_->Properties()->SpinButtons()->SetPosition(APosition);
    edit_->Properties()->SpinButtons()->SetShowFastButtons(AFast);
    edit_->SetBiDiMode(ARightToLeft ? bdRightToLeft : bdLeftToRight);
    // A new reading direction alone does not lay the editor out again.
    edit_->ShortRefreshContainer(false);
    Application->ProcessMessages();
    return edit_;
  }
  void SetLook(TcxLookAndFeelKind AKind, bool ANative) {
    edit_->Style()->LookAndFeel()->SetKind(AKind);
    edit_->Style()->LookAndFeel()->SetNativeStyle(ANative);
    Refresh();
  }
  void Refresh() {
    Application->ProcessMessages();
    RedrawWindow(form_->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  TcxSpinEditViewInfo* Info() { return static_cast<TcxSpinEditViewInfo*>(edit_->ViewInfo()); }
  TRect Bounds(TcxSpinEditButton AButton) { return Info()->ButtonsInfo.at(AButton)->Bounds; }
  // A pixel of the form relative to the editor's top-left corner, as 0xRRGGBB.
  uint32_t Rgb(int X, int Y) {
    return os::ReadWindowPixels(form_->Handle(), true).At(kEditLeft + X, kEditTop + Y) & 0xFFFFFF;
  }
  static uint32_t ExpectedRgb(TColor AColor) {
    const COLORREF c = ColorToRGB(AColor);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
  }
  void SavePng(const std::string& AName) { SaveWindowPng(form_->Handle(), AName); }

  TcxSpinEdit* edit_ = nullptr;
};

// --- Layout ---------------------------------------------------------------------------------------------

struct LayoutCase {
  const char* Name;
  TcxSpinEditButtonsPosition Position;
  bool Fast;
  // Left-to-right order of the buttons; in a vertical pair only the forward button is listed.
  std::vector<TcxSpinEditButton> Order;
};

const LayoutCase kLayouts[] = {
    {"vertical", sbpVert, false, {sebForward}},
    {"vertical fast", sbpVert, true, {sebFastBackward, sebForward, sebFastForward}},
    {"horizontal right", sbpHorzRight, false, {sebBackward, sebForward}},
    {"horizontal right fast", sbpHorzRight, true, {sebFastBackward, sebBackward, sebForward, sebFastForward}},
    {"left and right", sbpHorzLeftRight, false, {sebBackward, sebForward}},
    {"left and right fast",
     sbpHorzLeftRight,
     true,
     {sebFastBackward, sebBackward, sebForward, sebFastForward}},
};

// The classic look: arrows of 3 rows for a 17-pixel-high buttons area give buttons
// 4 x 3 - 3 = 9 wide, fast ones 9 x 3 / 2 rounded up, plus one for the odd width: 15.
// In touch mode 27 and 27 x 3 / 2 rounded up, plus one: 42.
TEST_F(SpinButtonsTest, ButtonsStandInTheirArrangementInEachDirectionAndMode) {
  for (const bool touch : {false, true}) {
    for (const LayoutCase& c : kLayouts) {
      std::vector<TRect> leftToRight[2];
      for (const bool rtl : {false, true}) {
        SCOPED_TRACE(std::string(c.Name) + (rtl ? ", right to left" : "") + (touch ? ", touch" : ""));
        cxIsTouchModeEnabled = touch;
        NewSpin(c.Position, c.Fast, rtl);
        SetLook(lfStandard, false);
        ASSERT_EQ(Info()->ButtonCount(), c.Fast ? 4 : 2);
        const TRect area = Info()->BorderRect;
        ASSERT_EQ(area.Height(), 17);
        const TRect text = Info()->ClientRect;
        for (TcxSpinEditButton b : c.Order) leftToRight[rtl].push_back(Bounds(b));
        // Neighbours touch, except the backward and forward groups of the left-and-right
        // arrangement, which have the text between them.
        for (size_t i = 1; i < c.Order.size(); ++i) {
          const TRect& before = Bounds(c.Order[i - 1]);
          const TRect& after = Bounds(c.Order[i]);
          if (c.Position == sbpHorzLeftRight && c.Order[i - 1] == sebBackward) {
            EXPECT_LE(before.Right, text.Left);
            EXPECT_GE(after.Left, text.Right);
          } else {
            EXPECT_EQ(before.Right, after.Left) << i;
          }
        }
        if (c.Position == sbpVert) {
          EXPECT_EQ(Bounds(sebBackward).Left, Bounds(sebForward).Left);
          EXPECT_EQ(Bounds(sebBackward).Right, Bounds(sebForward).Right);
          EXPECT_EQ(Bounds(sebForward).Top, area.Top);
          EXPECT_EQ(Bounds(sebForward).Bottom, Bounds(sebBackward).Top) << "up above down";
          EXPECT_EQ(Bounds(sebBackward).Bottom, area.Bottom);
        }
        const int width = touch ? 27 : 9;
        const int fastWidth = touch ? 42 : 15;
        EXPECT_EQ(Bounds(sebForward).Width(), width);
        EXPECT_EQ(Bounds(sebBackward).Width(), width);
        if (c.Fast) {
          EXPECT_EQ(Bounds(sebFastForward).Width(), fastWidth);
          EXPECT_EQ(Bounds(sebFastBackward).Width(), fastWidth);
        }
        const int groupLeft = Bounds(c.Order.front()).Left;
        const int groupRight = Bounds(c.Order.back()).Right;
        if (c.Position == sbpHorzLeftRight) {
          EXPECT_EQ(groupLeft, area.Left);
          EXPECT_EQ(groupRight, area.Right);
        } else if (rtl) {
          EXPECT_EQ(groupLeft, area.Left) << "the group stands at the left";
          EXPECT_GE(text.Left, groupRight) << "the text keeps the right part";
          EXPECT_GT(text.Width(), 40);
        } else {
          EXPECT_EQ(groupRight, area.Right);
          EXPECT_LE(text.Right, groupLeft) << "the text keeps the left part";
          EXPECT_GT(text.Width(), 40);
        }
      }
      // Right to left moves the group as a whole: same widths, same order.
      ASSERT_EQ(leftToRight[0].size(), leftToRight[1].size());
      const int shift = leftToRight[1][0].Left - leftToRight[0][0].Left;
      for (size_t i = 0; i < leftToRight[0].size(); ++i) {
        if (c.Position == sbpHorzLeftRight)
          EXPECT_EQ(leftToRight[1][i], leftToRight[0][i]) << c.Name << " " << i;
        else
          EXPECT_EQ(leftToRight[1][i], cxRectOffset(leftToRight[0][i], shift, 0)) << c.Name << " " << i;
      }
    }
  }
}

// Under right-to-left alignment the left-and-right buttons stay where they are, so the text
// must stay between them.
TEST_F(SpinButtonsTest, LeftAndRightButtonsLeaveTheTextBetweenThemRightToLeft) {
  NewSpin(sbpHorzLeftRight, false, true);
  SetLook(lfStandard, false);
  const TRect text = Info()->ClientRect;
  EXPECT_GE(text.Left, Bounds(sebBackward).Right);
  EXPECT_LE(text.Right, Bounds(sebForward).Left);
  EXPECT_GT(text.Width(), 100);
}


// --- Drawing --------------------------------------------------------------------------------------------

// The flat styles frame every button in the shadow colour; a side shared with a neighbour takes
// the face colour instead: the top of a lower button, and the side of a button that faces the
// text when a neighbour stands there.
TEST_F(SpinButtonsTest, FlatStylesDrawSharedSidesInTheFaceColour) {
  const uint32_t shadow = ExpectedRgb(clBtnShadow);
  const uint32_t face = ExpectedRgb(clBtnFace);
  for (const bool hotFlat : {false, true}) {
    for (const LayoutCase& c : kLayouts) {
      for (const bool rtl : {false, true}) {
        SCOPED_TRACE(std::string(c.Name) + (rtl ? ", right to left" : "") + (hotFlat ? ", hot flat" : ", flat"));
        NewSpin(c.Position, c.Fast, rtl);
        edit_->Style()->SetButtonStyle(hotFlat ? btsHotFlat : btsFlat);
        SetLook(lfFlat, false);
        const TRect text = Info()->ClientRect;
        const int textCentre = (text.Left + text.Right) / 2;
        for (int i = 0; i < Info()->ButtonCount(); ++i) {
          SCOPED_TRACE(i);
          const TRect b = Bounds(static_cast<TcxSpinEditButton>(i));
          ASSERT_EQ(Info()->ButtonsInfo.at(i)->Data.State, ebsNormal);
          auto neighbourAt = [&](int X, int Y) {
            for (int j = 0; j < Info()->ButtonCount(); ++j)
              if (j != i && cxRectPtIn(Bounds(static_cast<TcxSpinEditButton>(j)), TPoint{X, Y})) return true;
            return false;
          };
          const int midX = (b.Left + b.Right) / 2, midY = (b.Top + b.Bottom) / 2;
          const bool textOnTheLeft = textCentre < midX;
          const bool leftFace = textOnTheLeft && neighbourAt(b.Left - 1, midY);
          const bool rightFace = !textOnTheLeft && neighbourAt(b.Right, midY);
          const bool topFace = neighbourAt(midX, b.Top - 1);
          EXPECT_EQ(Rgb(b.Left, midY), leftFace ? face : shadow) << "left";
          EXPECT_EQ(Rgb(b.Right - 1, midY), rightFace ? face : shadow) << "right";
          EXPECT_EQ(Rgb(midX, b.Top), topFace ? face : shadow) << "top";
          EXPECT_EQ(Rgb(midX, b.Bottom - 1), shadow) << "bottom";
        }
        if (HasFailure()) SavePng("spin_flat_borders");
      }
    }
  }
}

}  // namespace
}  // namespace qd::testing
