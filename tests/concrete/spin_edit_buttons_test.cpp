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
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
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

// A new reading direction lays the editor out again at once, whether it is the editor's own or
// comes from its parent: the buttons change sides and are drawn there.
TEST_F(SpinButtonsTest, ANewReadingDirectionMovesTheButtonsAtOnce) {
  NewSpin(sbpHorzRight, false, false);
  other_->SetFocus();
  SetLook(lfStandard, false);
  const int width = edit_->Width();
  const TRect forward = Bounds(sebForward), backward = Bounds(sebBackward);
  ASSERT_GT(forward.Left, width / 2) << "the buttons start on the right";
  const int buttonY = (forward.Top + forward.Bottom) / 2;
  // Beside the text "0", where a button stands once mirrored.
  const int mirroredX = width - 1 - (backward.Left + backward.Right) / 2;
  EXPECT_EQ(Rgb(mirroredX, buttonY), ExpectedRgb(edit_->Style()->Color()))
      << "the left side starts as text area";

  edit_->SetParentBiDiMode(true);
  form_->SetBiDiMode(bdRightToLeft);
  Refresh();
  ASSERT_EQ(edit_->BiDiMode(), bdRightToLeft);
  // The pair takes the mirrored place (its own order is the editor's business).
  const TRect pair{std::min(Bounds(sebBackward).Left, Bounds(sebForward).Left), 0,
                   std::max(Bounds(sebBackward).Right, Bounds(sebForward).Right), 0};
  EXPECT_EQ(pair.Left, width - forward.Right);
  EXPECT_EQ(pair.Right, width - backward.Left);
  EXPECT_LE(pair.Right, Info()->ClientRect.Left) << "the text follows the buttons";
  EXPECT_NE(Rgb(mirroredX, buttonY), ExpectedRgb(edit_->Style()->Color())) << "a button is drawn on the left";

  edit_->SetBiDiMode(bdLeftToRight);
  Refresh();
  EXPECT_EQ(Bounds(sebForward), forward);
  EXPECT_EQ(Bounds(sebBackward), backward);
  EXPECT_EQ(Rgb(mirroredX, buttonY), ExpectedRgb(edit_->Style()->Color()))
      << "the left side is text area again";
}

// With the buttons filling the editor the vertical pair stretches as one column: the backward
// button takes the forward button's width.
TEST_F(SpinButtonsTest, ButtonsOnlyStretchesTheVerticalPairAsOneColumn) {
  for (const bool fast : {false, true}) {
    SCOPED_TRACE(fast ? "fast" : "plain");
    NewSpin(sbpVert, fast, false);
    edit_->Properties()->SetButtonsViewStyle(bvsButtonsOnly);
    SetLook(lfStandard, false);
    const TRect forward = Bounds(sebForward), backward = Bounds(sebBackward);
    EXPECT_GT(forward.Width(), 9) << "stretched";
    EXPECT_EQ(backward.Left, forward.Left);
    EXPECT_EQ(backward.Right, forward.Right);
    EXPECT_EQ(forward.Bottom, backward.Top);
    int total = 0;
    for (int i = 0; i < Info()->ButtonCount(); ++i)
      if (i != sebBackward) total += Bounds(static_cast<TcxSpinEditButton>(i)).Width();
    EXPECT_EQ(total, Info()->BorderRect.Width()) << "the buttons fill the editor";
  }
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
        SCOPED_TRACE(std::string(c.Name) + (rtl ? ", right to left" : "") +
                     (hotFlat ? ", hot flat" : ", flat"));
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

// The pixels of one colour inside a button, as rows (or columns) of counts along the arrow.
std::vector<int> CountsAlong(const std::vector<std::vector<bool>>& AMask, bool AByRow) {
  std::vector<int> counts;
  const size_t outer = AByRow ? AMask.size() : (AMask.empty() ? 0 : AMask[0].size());
  for (size_t i = 0; i < outer; ++i) {
    int n = 0;
    const size_t inner = AByRow ? AMask[0].size() : AMask.size();
    for (size_t j = 0; j < inner; ++j) n += AByRow ? AMask[i][j] : AMask[j][i];
    if (n > 0) counts.push_back(n);
  }
  return counts;
}

// Arrows in the pen colour point the way each button steps: up and down in the vertical pair,
// left and right otherwise, two arrows on the fast buttons.
TEST_F(SpinButtonsTest, StandardLookDrawsEachButtonsArrowInThePenColour) {
  const uint32_t pen = ExpectedRgb(clBtnText);
  struct Case {
    TcxSpinEditButtonsPosition Position;
    TcxSpinEditButton Button;
    TcxArrowDirection Direction;
    int Arrows;
  } cases[] = {
      {sbpVert, sebForward, adUp, 1},
      {sbpVert, sebBackward, adDown, 1},
      {sbpVert, sebFastForward, adRight, 2},
      {sbpVert, sebFastBackward, adLeft, 2},
      {sbpHorzRight, sebForward, adRight, 1},
      {sbpHorzRight, sebBackward, adLeft, 1},
      {sbpHorzLeftRight, sebForward, adRight, 1},
      {sbpHorzLeftRight, sebBackward, adLeft, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Position) + " button " + std::to_string(c.Button));
    NewSpin(c.Position, true, false);
    SetLook(lfStandard, false);
    const TRect b = Bounds(c.Button);
    std::vector<std::vector<bool>> mask(b.Height(), std::vector<bool>(b.Width()));
    for (int y = b.Top; y < b.Bottom; ++y)
      for (int x = b.Left; x < b.Right; ++x) mask[y - b.Top][x - b.Left] = Rgb(x, y) == pen;
    const bool vertical = c.Direction == adUp || c.Direction == adDown;
    // Along the arrow the pixel counts grow from the tip (1) to the base, once per arrow.
    std::vector<int> counts = CountsAlong(mask, vertical);
    ASSERT_EQ(counts.size(), static_cast<size_t>(Info()->ArrowSize.cy * c.Arrows));
    if (c.Direction == adDown || c.Direction == adRight) std::reverse(counts.begin(), counts.end());
    EXPECT_EQ(std::count(counts.begin(), counts.end(), 1), c.Arrows) << "tips";
    EXPECT_EQ(counts.front(), 1);
    EXPECT_EQ(counts[Info()->ArrowSize.cy - 1], Info()->ArrowSize.cx) << "base";
    if (HasFailure()) SavePng("spin_standard_arrows");
  }
}

// A disabled button's arrow is embossed: the highlight colour one pixel down and right, the
// shadow colour in place, no pen colour.
TEST_F(SpinButtonsTest, DisabledArrowsAreEmbossed) {
  NewSpin(sbpHorzRight, false, false);
  SetLook(lfStandard, false);
  edit_->SetEnabled(false);
  Refresh();
  const TRect b = Bounds(sebForward);
  int shadow = 0, highlightBelowShadow = 0, pen = 0;
  for (int y = b.Top + 2; y < b.Bottom - 2; ++y)
    for (int x = b.Left + 2; x < b.Right - 2; ++x) {
      if (Rgb(x, y) == ExpectedRgb(clBtnText)) ++pen;
      if (Rgb(x, y) != ExpectedRgb(clBtnShadow)) continue;
      ++shadow;
      if (Rgb(x + 1, y + 1) == ExpectedRgb(clBtnHighlight) || Rgb(x + 1, y + 1) == ExpectedRgb(clBtnShadow))
        ++highlightBelowShadow;
    }
  EXPECT_EQ(pen, 0);
  // Rows of 1, 3, 5 ... pixels.
  EXPECT_EQ(shadow, Info()->ArrowSize.cy * Info()->ArrowSize.cy) << "one arrow";
  EXPECT_EQ(highlightBelowShadow, shadow);
  if (HasFailure()) SavePng("spin_disabled_arrows");
}

// With visual styles the theme's spin parts draw the whole button in the state the button is
// in (the theme's glyphs are never pure black, the editor's own arrows are); a one-pixel line
// in the editor's background colour separates the two buttons of a pair.
TEST_F(SpinButtonsTest, ThemeSpinPartsDrawTheButtonsWithADelimiterBetweenThem) {
  constexpr uint32_t kThemeBorder = 0xD0D0D0, kThemeFill = 0xF6F6F6, kThemePressedFill = 0xCCE4F7;
  const uint32_t background = ExpectedRgb(clWindow);
  for (const LayoutCase& c : kLayouts) {
    for (const bool rtl : {false, true}) {
      SCOPED_TRACE(std::string(c.Name) + (rtl ? ", right to left" : ""));
      NewSpin(c.Position, c.Fast, rtl);
      SetLook(lfStandard, true);
      for (int i = 0; i < Info()->ButtonCount(); ++i) {
        // The column under the editor's frame is clipped away.
        const TRect b = Info()->ButtonsInfo.at(i)->VisibleBounds;
        const bool clippedOnTheLeft = b.Left != Bounds(static_cast<TcxSpinEditButton>(i)).Left;
        EXPECT_EQ(Rgb(clippedOnTheLeft ? b.Right - 1 : b.Left, (b.Top + b.Bottom) / 2), kThemeBorder) << i;
        EXPECT_EQ(Rgb(b.Left + 2, b.Top + 1), kThemeFill) << i;
        for (int y = b.Top; y < b.Bottom; ++y)
          for (int x = b.Left; x < b.Right; ++x) ASSERT_NE(Rgb(x, y), 0u) << i << ": " << x << ", " << y;
      }
      const TRect forward = Bounds(sebForward), backward = Bounds(sebBackward);
      if (c.Position == sbpVert) {
        ASSERT_EQ(forward.Bottom + 1, backward.Top);
        for (int x = forward.Left; x < forward.Right; ++x) EXPECT_EQ(Rgb(x, forward.Bottom), background) << x;
      } else if (c.Position == sbpHorzRight) {
        ASSERT_EQ(backward.Right + 1, forward.Left);
        for (int y = forward.Top; y < forward.Bottom; ++y) EXPECT_EQ(Rgb(backward.Right, y), background) << y;
      }
      // Up held shows the button that steps up pressed: the forward one, or under right-to-left
      // alignment the horizontal left-arrow one.
      const bool mirrored = rtl && c.Position != sbpVert;
      const TRect up = mirrored ? backward : forward, down = mirrored ? forward : backward;
      Key(VK_UP, true);
      Application->ProcessMessages();
      Refresh();
      EXPECT_EQ(Rgb(up.Left + 2, up.Top + 1), kThemePressedFill);
      EXPECT_EQ(Rgb(down.Left + 2, down.Top + 1), kThemeFill);
      Key(VK_UP, false);
      Application->ProcessMessages();
      Refresh();
      EXPECT_EQ(Rgb(up.Left + 2, up.Top + 1), kThemeFill);
      if (HasFailure()) SavePng("spin_theme");
    }
  }
}

// A skin painter that fills each glyph rectangle with a colour of its own and records the
// glyph kinds it was asked for.
class TRecordingSpinSkinPainter : public TcxCustomLookAndFeelPainter {
 public:
  String LookAndFeelName() override { return u"RecordingSpinSkin"; }
  TcxLookAndFeelStyle LookAndFeelStyle() override { return lfsSkin; }
  TSize EditButtonSize() override { return TSize{16, 15}; }
  void DrawScaledEditorButtonGlyph(TcxCanvas* ACanvas, const TRect& ARect, TcxEditBtnKind AButtonKind,
                                   TcxButtonState AState, TdxScaleFactor*, TcxEditBtnPosition) override {
    Kinds.push_back(AButtonKind);
    Rects.push_back(ARect);
    ACanvas->FillRect(ARect, clLime);
  }
  std::vector<TcxEditBtnKind> Kinds;
  std::vector<TRect> Rects;
};

// With a skin the painter draws each button's spin glyph for its direction; the buttons are
// half the skin's button height plus the arrow height wide, fast ones half as wide again plus
// one for an odd skin height, and touch mode does not widen them.
TEST_F(SpinButtonsTest, SkinPainterDrawsTheSpinGlyphOfEachButton) {
  auto owned = std::make_unique<TRecordingSpinSkinPainter>();
  TRecordingSpinSkinPainter* painter = owned.get();
  ASSERT_TRUE(cxLookAndFeelPaintersManager()->Register(std::move(owned)));
  struct Case {
    TcxSpinEditButtonsPosition Position;
    TcxEditBtnKind Kinds[4];  // sebBackward, sebForward, sebFastBackward, sebFastForward
  } cases[] = {
      {sbpVert, {cxbkSpinDownBtn, cxbkSpinUpBtn, cxbkSpinLeftBtn, cxbkSpinRightBtn}},
      {sbpHorzRight, {cxbkSpinLeftBtn, cxbkSpinRightBtn, cxbkSpinLeftBtn, cxbkSpinRightBtn}},
      {sbpHorzLeftRight, {cxbkSpinLeftBtn, cxbkSpinRightBtn, cxbkSpinLeftBtn, cxbkSpinRightBtn}},
  };
  for (const bool touch : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::to_string(c.Position) + (touch ? ", touch" : ""));
      cxIsTouchModeEnabled = touch;
      NewSpin(c.Position, true, false);
      edit_->Style()->LookAndFeel()->SetSkinName(u"RecordingSpinSkin");
      edit_->Style()->LookAndFeel()->SetNativeStyle(false);
      painter->Kinds.clear();
      painter->Rects.clear();
      Refresh();
      ASSERT_TRUE(Info()->UseSkins);
      const int width = 15 / 2 + Info()->ArrowSize.cy;
      for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const TRect b = Bounds(static_cast<TcxSpinEditButton>(i));
        EXPECT_EQ(b.Width(), i < 2 ? width : width * 3 / 2 + 1);
        const auto drawn = std::find(painter->Rects.begin(), painter->Rects.end(), b);
        ASSERT_NE(drawn, painter->Rects.end()) << "the glyph fills the button";
        EXPECT_EQ(painter->Kinds[drawn - painter->Rects.begin()], c.Kinds[i]);
        EXPECT_EQ(Rgb((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2), 0x00FF00u);
      }
      if (HasFailure()) SavePng("spin_skin");
    }
  }
}

// --- Reading direction -----------------------------------------------------------------------------------

// Under right-to-left alignment the buttons step the way their arrows point in that reading
// order (a horizontal left arrow steps up), but the keys and the wheel still step up for Up,
// Page Up and the wheel turned up.
TEST_F(SpinButtonsTest, RightToLeftMirrorsTheButtonsButNotTheKeysOrTheWheel) {
  for (const LayoutCase& c : kLayouts) {
    SCOPED_TRACE(c.Name);
    NewSpin(c.Position, c.Fast, true);
    edit_->SetValue(Variant(int64_t{50}));
    Press(VK_UP);
    EXPECT_EQ(edit_->Value().AsInt64(), 51) << "Up";
    Press(VK_DOWN);
    EXPECT_EQ(edit_->Value().AsInt64(), 50) << "Down";
    Press(VK_PRIOR);
    EXPECT_EQ(edit_->Value().AsInt64(), 60) << "Page Up";
    Press(VK_NEXT);
    EXPECT_EQ(edit_->Value().AsInt64(), 50) << "Page Down";
    const TPoint centre = edit_->ClientToScreen(TPoint{100, 10});
    edit_->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(WHEEL_DELTA)),
                   MAKELPARAM(centre.X, centre.Y));
    Application->ProcessMessages();
    EXPECT_EQ(edit_->Value().AsInt64(), 51) << "wheel up";
    // The horizontal buttons' left arrow steps up, the fast left arrow by the large step.
    const bool horizontal = c.Position != sbpVert;
    EXPECT_TRUE(edit_->Increment(sebBackward));
    EXPECT_EQ(edit_->Value().AsInt64(), horizontal ? 52 : 50);
    if (c.Fast) {
      EXPECT_TRUE(edit_->Increment(sebFastBackward));
      EXPECT_EQ(edit_->Value().AsInt64(), horizontal ? 62 : 60);
    }
  }
}

}  // namespace
}  // namespace qd::testing
