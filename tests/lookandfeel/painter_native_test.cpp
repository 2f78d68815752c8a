// The Native painter against the visual-styles engine: which class, part, state and rectangle
// each operation asks for (through the engine's recorder), the Standard drawing for each
// class that cannot be opened and with visual styles off, the alpha fix-up of parts drawn at
// another scale, and the metrics converted from the system scale factor or from 96 DPI.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "lookandfeel/painter_draw_test_util.h"
#include "platform/base/mathutil.h"
#include "platform/os/uxtheme.h"
#include "platform/os/uxtheme_testing.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxCore.h"
#include "ui/core/dxThemeManager.h"
#include "ui/core/dxUxTheme.h"
#include "ui/graphics/dxOffice11.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersNative.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersStandard.h"

namespace qd::testing {
namespace {

class PainterNativeTest : public PainterDrawTest {
 protected:
  void SetUp() override {
    PainterDrawTest::SetUp();
    os::RegisterThemeModules();
    os::ResetThemeForTesting();
    dxUxTheme::Initialize();
    dxThemeManager::Initialize();
    native_ = std::make_unique<TcxWinXPLookAndFeelPainter>();
  }
  void TearDown() override {
    native_.reset();
    dxThemeManager::Finalize();
    dxUxTheme::Finalize();
    os::ResetThemeForTesting();
    PainterDrawTest::TearDown();
  }
  // The theme class fails to open from now on (the cached handle is dropped).
  static void FailClass(const Char* AClass) {
    os::SetThemeClassFailing(AClass, true);
    CloseAllThemes();
  }
  static void StylesOff() {
    os::SetVisualStylesEnabled(false);
    CloseAllThemes();
  }

  std::unique_ptr<TcxWinXPLookAndFeelPainter> native_;
  TcxStandardLookAndFeelPainter standard_;
};

struct Drawn {
  String cls;
  int part;
  int state;
  TRect rect;
  friend bool operator==(const Drawn&, const Drawn&) = default;
  friend void PrintTo(const Drawn& d, std::ostream* os) {
    *os << "{" << std::string(d.cls.begin(), d.cls.end()) << " " << d.part << "/" << d.state << " ("
        << d.rect.Left << "," << d.rect.Top << "," << d.rect.Right << "," << d.rect.Bottom << ")}";
  }
};

std::vector<Drawn> Backgrounds(const std::vector<os::ThemeDrawCall>& ACalls) {
  std::vector<Drawn> result;
  for (const os::ThemeDrawCall& c : ACalls)
    if (c.kind == os::ThemeCallKind::Background)
      result.push_back(Drawn{c.className, c.part, c.state, c.rect});
  return result;
}

constexpr TRect kR{2, 3, 30, 20};

::testing::AssertionResult SamePixels(PainterProbe& A, PainterProbe& B) {
  for (int y = 0; y < A.Bitmap().H(); ++y)
    for (int x = 0; x < A.Bitmap().W(); ++x)
      if (A.Rgb(x, y) != B.Rgb(x, y))
        return ::testing::AssertionFailure() << "first difference at (" << x << ", " << y << "): native 0x"
                                             << std::hex << A.Rgb(x, y) << ", standard 0x" << B.Rgb(x, y);
  return ::testing::AssertionSuccess();
}

using NativeDraw = std::function<void(TcxWinXPLookAndFeelPainter&, TcxCanvas*)>;

// --- Class, part, state and rectangle of each operation ----------------------------------------

TEST_F(PainterNativeTest, EachOperationDrawsItsThemePartAndState) {
  TdxScaleFactor* sf = dxSystemScaleFactor();
  struct Case {
    const char* name;
    NativeDraw draw;
    std::vector<Drawn> expect;
  };
  const TRect up{kR.Left - 4, kR.Top - 4, kR.Right + 4, kR.Bottom + 4};
  const std::vector<Case> cases = {
      {"default push button",
       [&](auto& p, auto* c) { p.DrawScaledButton(c, kR, String(), cxbsDefault, sf); },
       {{u"Button", 1, 5, kR}}},
      {"disabled push button",
       [&](auto& p, auto* c) { p.DrawScaledButton(c, kR, String(), cxbsDisabled, sf); },
       {{u"Button", 1, 4, kR}}},
      {"hot tool button",
       [&](auto& p, auto* c) {
         p.DrawScaledButton(c, kR, String(), cxbsHot, sf, true, clDefault, clDefault, false, true);
       },
       {{u"ToolBar", 1, 2, kR}}},
      {"small button pressed",
       [&](auto& p, auto* c) { p.DrawScaledSmallButton(c, kR, cxbsPressed, sf); },
       {{u"Button", 1, 3, kR}}},
      {"arrow border hot",
       [&](auto& p, auto* c) { p.DrawScaledArrowBorder(c, kR, cxbsHot, sf); },
       {{u"Button", 1, 2, kR}}},
      {"left arrow pressed",
       [&](auto& p, auto* c) { p.DrawScaledArrow(c, kR, cxbsPressed, adLeft, sf); },
       {{u"ScrollBar", 1, 11, kR}}},
      {"right arrow default",
       [&](auto& p, auto* c) { p.DrawScaledArrow(c, kR, cxbsDefault, adRight, sf); },
       {{u"ScrollBar", 1, 13, kR}}},
      {"border", [&](auto& p, auto* c) { p.DrawBorder(c, kR); }, {{u"ListView", 5, 0, kR}}},
      {"vertical separator",
       [&](auto& p, auto* c) { p.DoDrawSeparator(c, kR, true); },
       {{u"ToolBar", 5, 1, kR}}},
      {"horizontal separator",
       [&](auto& p, auto* c) { p.DoDrawSeparator(c, kR, false); },
       {{u"ToolBar", 6, 1, kR}}},
      {"checked hot check box",
       [&](auto& p, auto* c) { p.DrawScaledCheck(c, kR, cxbsHot, cbsChecked, clDefault, sf); },
       {{u"Button", 3, 6, kR}}},
      {"grayed disabled check box",
       [&](auto& p, auto* c) { p.DrawScaledCheck(c, kR, cxbsDisabled, cbsGrayed, clDefault, sf); },
       {{u"Button", 3, 12, kR}}},
      {"checked pressed radio button",
       [&](auto& p, auto* c) { p.DrawScaledRadioButton(c, 4, 5, cxbsPressed, true, false, clDefault, sf); },
       {{u"Button", 2, 7,
         Bounds(4, 5, native_->ScaledRadioButtonSize(sf).cx, native_->ScaledRadioButtonSize(sf).cy)}}},
      {"expanded tree glyph",
       [&](auto& p, auto* c) { p.DrawScaledExpandButton(c, kR, true, sf); },
       {{u"TreeView", 2, 2, kR}}},
      {"collapsed small expand button",
       [&](auto& p, auto* c) { p.DrawScaledSmallExpandButton(c, kR, false, clBlack, sf); },
       {{u"TreeView", 2, 1, kR}}},
      {"expanded hot group button",
       [&](auto& p, auto* c) { p.DrawScaledGroupExpandButton(c, kR, true, cxbsHot, sf); },
       {{u"ExplorerBar", 6, 2, kR}}},
      {"collapsed pressed group button",
       [&](auto& p, auto* c) { p.DrawScaledGroupExpandButton(c, kR, false, cxbsPressed, sf); },
       {{u"ExplorerBar", 7, 3, kR}}},
      {"vertical line-up button",
       [&](auto& p, auto* c) { p.DoDrawScaledScrollBarPart(c, false, kR, sbpLineUp, cxbsNormal, sf); },
       {{u"ScrollBar", 1, 1, kR}}},
      {"horizontal line-down button hot",
       [&](auto& p, auto* c) { p.DoDrawScaledScrollBarPart(c, true, kR, sbpLineDown, cxbsHot, sf); },
       {{u"ScrollBar", 1, 14, kR}}},
      {"horizontal hot thumb with gripper",
       [&](auto& p, auto* c) { p.DoDrawScaledScrollBarPart(c, true, kR, sbpThumbnail, cxbsHot, sf); },
       {{u"ScrollBar", 2, 2, kR}, {u"ScrollBar", 8, 2, kR}}},
      {"vertical pressed page down",
       [&](auto& p, auto* c) { p.DoDrawScaledScrollBarPart(c, false, kR, sbpPageDown, cxbsPressed, sf); },
       {{u"ScrollBar", 7, 3, kR}}},
      {"horizontal disabled page up",
       [&](auto& p, auto* c) { p.DoDrawScaledScrollBarPart(c, true, kR, sbpPageUp, cxbsDisabled, sf); },
       {{u"ScrollBar", 4, 4, kR}}},
      {"empty scroll-bar part",
       [&](auto& p, auto* c) {
         p.DoDrawScaledScrollBarPart(c, true, TRect{5, 5, 5, 9}, sbpPageUp, cxbsNormal, sf);
       },
       {}},
      {"size grip", [&](auto& p, auto* c) { p.DoDrawSizeGrip(c, kR, sf); }, {{u"ScrollBar", 10, 1, kR}}},
      {"disabled group box",
       [&](auto& p, auto* c) { p.DrawGroupBoxFrame(c, kR, false, cxgpTop); },
       {{u"Button", 4, 2, kR}}},
      {"footer cell",
       [&](auto& p, auto* c) {
         p.DrawFooterCell(c, kR, taLeftJustify, vaTop, false, String(), nullptr, clBlack, clWhite);
       },
       {{u"TrackBar", 1, 1, kR}}},
      {"hot horizontal track-bar thumb, ticks up",
       [&](auto& p, auto* c) { p.DrawTrackBarScaledThumb(c, kR, cxbsHot, true, tbtaUp, clDefault, sf); },
       {{u"TrackBar", 5, 2, kR}}},
      {"disabled vertical track-bar thumb, ticks down",
       [&](auto& p, auto* c) {
         p.DrawTrackBarScaledThumb(c, kR, cxbsDisabled, false, tbtaDown, clDefault, sf);
       },
       {{u"TrackBar", 8, 5, kR}}},
      {"range thumb uses both-sides part, one pixel wider",
       [&](auto& p, auto* c) {
         p.DrawRangeTrackBarScaledLeftThumb(c, kR, cxbsNormal, true, tbtaUp, clDefault, sf);
       },
       {{u"TrackBar", 3, 1, TRect{kR.Left, kR.Top, kR.Right + 1, kR.Bottom}}}},
      {"vertical track",
       [&](auto& p, auto* c) { p.DrawTrackBarScaledTrack(c, kR, kR, false, true, false, clDefault, sf); },
       {{u"TrackBar", 2, 1, kR}}},
      {"hot filter drop-down button",
       [&](auto& p, auto* c) { p.DrawScaledFilterDropDownButton(c, kR, cxbsHot, false, sf); },
       {{u"ComboBox", 1, 2, kR}}},
      {"hint background", [&](auto& p, auto* c) { p.DrawHintBackground(c, kR); }, {{u"ToolTip", 1, 1, up}}},
      {"hot scheduler navigator button",
       [&](auto& p, auto* c) { p.DrawSchedulerScaledNavigatorButton(c, kR, cxbsHot, sf); },
       {{u"ToolBar", 1, 5, kR}}},
      {"scheduler event progress",
       [&](auto& p, auto* c) {
         p.DrawSchedulerEventProgress(c, kR, TRect{4, 5, 10, 9}, TcxViewParams{}, false);
       },
       {{u"Progress", 1, 0, kR}, {u"Progress", 3, 0, TRect{4, 5, 10, 9}}}},
      {"vertical bevel line",
       [&](auto& p, auto* c) { p.DrawBevelLine(c, kR, clBlack, clWhite, true); },
       {{u"ToolBar", 5, 1, kR}}},
      {"bevel frame",
       [&](auto& p, auto* c) { p.DrawBevelFrame(c, kR, clBlack, clWhite, false); },
       {{u"Button", 4, 1, kR}}},
      {"pressed zoom-in button",
       [&](auto& p, auto* c) { p.DrawScaledZoomInButton(c, kR, cxbsPressed, sf); },
       {{u"Button", 1, 3, kR}}},
      {"hot back button",
       [&](auto& p, auto* c) { p.DrawScaledBackButton(c, kR, cxbsHot, sf); },
       {{u"Navigation", 1, 2, kR}}},
      {"date-navigator date header",
       [&](auto& p, auto* c) {
         TRect r = kR;
         p.DrawDateNavigatorDateHeader(c, r);
       },
       {{u"Header", 2, 1, kR}}},
      {"pressed filter close button at the default scale",
       [&](auto& p, auto* c) { p.DrawScaledFilterCloseButton(c, kR, cxbsPressed, dxDefaultScaleFactor()); },
       {{u"Window", 19, 3, kR}}},
      {"hot horizontal scheduler navigation button",
       [&](auto& p, auto* c) {
         p.DrawSchedulerNavigationButtonContent(c, kR, TRect{8, 8, 14, 14}, false, cxbsHot, false);
       },
       {{u"Tab", 1, 2, TRect{0, 0, kR.Width(), kR.Height()}}}},
      {"disabled vertical scheduler navigation button",
       [&](auto& p, auto* c) {
         p.DrawSchedulerNavigationButtonContent(c, kR, TRect{8, 8, 14, 14}, true, cxbsDisabled, true);
       },
       {{u"Tab", 1, 4, TRect{0, 0, kR.Height(), kR.Width()}}}},
      {"hot command link",
       [&](auto& p, auto* c) { p.DrawScaledCommandLinkBackground(c, kR, cxbsHot, sf); },
       {{u"Button", 6, 2, kR}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PainterProbe probe(40, 30);
    os::ScopedThemeRecorder recorder;
    c.draw(*native_, probe.Canvas());
    EXPECT_EQ(Backgrounds(recorder.Calls()), c.expect);
  }
}

TEST_F(PainterNativeTest, EditPopupBorderShrinksTheRectangleAndAnEdgeFramesTheFooter) {
  PainterProbe probe(40, 30);
  os::ScopedThemeRecorder recorder;
  TRect r = kR;
  native_->DrawEditPopupWindowBorder(probe.Canvas(), r, epbsSingle, false);
  EXPECT_EQ(r, cxRectInflate(kR, -1));
  native_->DrawFooterBorder(probe.Canvas(), kR);
  const auto calls = recorder.Calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(Backgrounds(calls), (std::vector<Drawn>{{u"ListBox", 3, 3, kR}}));
  EXPECT_EQ(calls[1].kind, os::ThemeCallKind::Edge);
  EXPECT_EQ(calls[1].className, u"Edit");
  EXPECT_EQ(calls[1].rect, kR);

  StylesOff();
  TRect off = kR;
  PainterProbe plain(40, 30);
  native_->DrawEditPopupWindowBorder(plain.Canvas(), off, epbsSingle, false);
  EXPECT_EQ(off, cxRectInflate(kR, -1));
  EXPECT_EQ(plain.Rgb(kR.Left, kR.Top), ColorPx(clBtnText));
}

TEST_F(PainterNativeTest, ListsBreadcrumbsTokensAndCalendars) {
  TdxScaleFactor* sf = dxSystemScaleFactor();
  const HTHEME button = OpenTheme(totButton);
  MARGINS m;
  ASSERT_EQ(dxUxTheme::GetThemeMargins(button, nullptr, 1, 0, TMT_CONTENTMARGINS, nullptr, &m), S_OK);
  const TRect content{m.cxLeftWidth, m.cyTopHeight, m.cxRightWidth, m.cyBottomHeight};
  const int editPart = IsWinVistaOrLater() ? 6 : 1;
  MARGINS sizing;
  ASSERT_EQ(dxUxTheme::GetThemeMargins(OpenTheme(totEdit), nullptr, editPart, 2, TMT_SIZINGMARGINS, nullptr,
                                       &sizing),
            S_OK);
  struct Case {
    const char* name;
    NativeDraw draw;
    std::vector<Drawn> expect;
    TRect clip;  // of the first call; empty when it has none
  };
  const std::vector<Case> cases = {
      {"normal token draws nothing",
       [&](auto& p, auto* c) { p.DrawScaledTokenBackground(c, kR, cxbsNormal, sf); },
       {},
       TRect{}},
      {"hot token grown by the content margins",
       [&](auto& p, auto* c) { p.DrawScaledTokenBackground(c, kR, cxbsHot, sf); },
       {{u"Button", 1, 2,
         TRect{kR.Left - content.Left, kR.Top - content.Top, kR.Right + content.Right,
               kR.Bottom + content.Bottom}}},
       kR},
      {"normal breadcrumb button draws nothing",
       [&](auto& p, auto* c) { p.DrawBreadcrumbEditScaledButton(c, kR, dxbcbsNormal, true, true, sf); },
       {},
       TRect{}},
      {"pressed breadcrumb button, one pixel past left and right",
       [&](auto& p, auto* c) { p.DrawBreadcrumbEditScaledButton(c, kR, dxbcbsPressed, false, true, sf); },
       {{u"Button", 1, 3,
         TRect{kR.Left - 1, kR.Top - content.Top, kR.Right + 1, kR.Bottom + content.Bottom}}},
       kR},
      {"hot node with delimiter: one pixel past the left only",
       [&](auto& p, auto* c) { p.DrawBreadcrumbEditScaledNode(c, kR, dxbcbsHot, true, sf); },
       {{u"Button", 1, 2,
         TRect{kR.Left - 1, kR.Top - content.Top, kR.Right + content.Right, kR.Bottom + content.Bottom}}},
       kR},
      {"breadcrumb borders, all sides",
       [&](auto& p, auto* c) { p.DrawBreadcrumbEditBorders(c, kR, cxBordersAll, dxbcsFocused); },
       {{u"Edit", editPart, 5, kR}},
       TRect{}},
      {"breadcrumb borders, top and bottom only",
       [&](auto& p, auto* c) {
         p.DrawBreadcrumbEditBorders(c, kR, TcxBorders{bTop, bBottom}, dxbcsHot);
       },
       {{u"Edit", editPart, 2,
         TRect{kR.Left - sizing.cxLeftWidth, kR.Top, kR.Right + sizing.cxRightWidth, kR.Bottom}}},
       kR},
      {"progress chunk",
       [&](auto& p, auto* c) { p.DrawBreadcrumbEditScaledProgressChunk(c, kR, sf); },
       {{u"Progress", 3, 1, kR}},
       TRect{}},
      {"drop-down list gutter",
       [&](auto& p, auto* c) { p.DrawDropDownListBoxScaledGutterBackground(c, kR, sf); },
       {{u"Menu", 13, 0, kR}},
       TRect{}},
      {"drop-down list selection",
       [&](auto& p, auto* c) { p.DrawDropDownListBoxScaledSelection(c, kR, TRect{}, sf); },
       {{u"Menu", 14, 2, kR}},
       TRect{}},
      {"drop-down list background without borders",
       [&](auto& p, auto* c) { p.DrawDropDownListBoxBackground(c, kR, false); },
       {{u"Menu", 9, 0, kR}},
       TRect{}},
      {"drop-down list background inside two frames",
       [&](auto& p, auto* c) { p.DrawDropDownListBoxBackground(c, kR, true); },
       {{u"Menu", 9, 0, cxRectInflate(kR, -2)}},
       TRect{}},
      {"calendar cell selected and hot",
       [&](auto& p, auto* c) {
         p.DrawModernCalendarDateCellSelection(c, kR, TcxCalendarElementStates{cesSelected, cesHot});
       },
       {{u"Explorer::ListView", 1, 6, kR}},
       TRect{}},
      {"calendar cell selected and focused",
       [&](auto& p, auto* c) {
         p.DrawModernCalendarDateCellSelection(c, kR, TcxCalendarElementStates{cesSelected, cesFocused});
       },
       {{u"Explorer::ListView", 1, 3, kR}},
       TRect{}},
      {"calendar cell only marked",
       [&](auto& p, auto* c) {
         p.DrawModernCalendarDateCellSelection(c, kR, TcxCalendarElementStates{cesMarked});
       },
       {},
       TRect{}},
      {"hot wheel-picker item",
       [&](auto& p, auto* c) { p.DrawWheelPickerItemBackground(c, kR, cxbsHot); },
       {{u"Explorer::ListView", 1, 5, kR}},
       TRect{}},
      {"disabled layout-view item",
       [&](auto& p, auto* c) { p.LayoutViewDrawItem(c, kR, cxbsDisabled); },
       {{u"Menu", 14, 4, kR}},
       TRect{}},
      {"hot explorer-view record",
       [&](auto& p, auto* c) { p.WinExplorerViewDrawRecord(c, kR, cxbsHot); },
       {{u"Menu", 14, 2, kR}},
       TRect{}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PainterProbe probe(40, 30);
    os::ScopedThemeRecorder recorder;
    c.draw(*native_, probe.Canvas());
    const auto calls = recorder.Calls();
    EXPECT_EQ(Backgrounds(calls), c.expect);
    if (!c.clip.IsEmpty() && !calls.empty()) {
      EXPECT_TRUE(calls[0].hasClip);
      EXPECT_EQ(calls[0].clip, c.clip);
    }
  }
  // The marked calendar cell: a frame in the marked-cell colour.
  PainterProbe marked(40, 30);
  native_->DrawModernCalendarDateCellSelection(marked.Canvas(), kR, TcxCalendarElementStates{cesMarked});
  EXPECT_EQ(marked.Rgb(kR.Left, kR.Top + 4), ColorPx(native_->GetModernCalendarMarkedCellBorderColor()));
}

TEST_F(PainterNativeTest, CommandLinkWithoutTheButtonClassUsesFlatOrTheBase) {
  FailClass(u"Button");
  TdxScaleFactor* sf = dxSystemScaleFactor();
  const TRect r{2, 2, 22, 18};
  // The Flat painter's hot button, with its border.
  TcxCustomLookAndFeelPainter* flat = cxLookAndFeelPaintersManager()->GetPainter(lfsFlat);
  ASSERT_NE(flat, nullptr);
  PainterProbe native(24, 20), expected(24, 20);
  native_->DrawScaledCommandLinkBackground(native.Canvas(), r, cxbsHot, sf);
  flat->DrawScaledButton(expected.Canvas(), r, String(), cxbsHot, sf, true);
  EXPECT_TRUE(SamePixels(native, expected));
  // Without the Flat painter: the base drawing instead of a call through nothing.
  ASSERT_TRUE(cxLookAndFeelPaintersManager()->Unregister(u"Flat"));
  PainterProbe alone(24, 20);
  native_->DrawScaledCommandLinkBackground(alone.Canvas(), r, cxbsHot, sf);
  EXPECT_NE(alone.Rgb(10, 10), alone.Sentinel() & 0xFFFFFF);
}

TEST_F(PainterNativeTest, HeadersTextAndLastHeaderPart) {
  TdxScaleFactor* sf = dxSystemScaleFactor();
  const TRect text{6, 5, 26, 18};
  auto header = [&](TcxButtonState AState, bool AIsLast) {
    PainterProbe probe(40, 30);
    os::ScopedThemeRecorder recorder;
    native_->DrawScaledHeader(probe.Canvas(), kR, text, TcxNeighbors{}, cxBordersAll, AState, taLeftJustify,
                              vaCenter, false, false, u"Ab", nullptr, clBlack, clWhite, sf, nullptr, AIsLast);
    return recorder.Calls();
  };
  // A pressed header's text moves one pixel right and down.
  auto calls = header(cxbsPressed, false);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(Backgrounds(calls), (std::vector<Drawn>{{u"Header", 1, 3, kR}}));
  EXPECT_EQ(calls[1].kind, os::ThemeCallKind::Text);
  EXPECT_EQ(calls[1].text, u"Ab");
  EXPECT_EQ(calls[1].rect, cxRectOffset(text, 1, 1));
  EXPECT_EQ(calls[1].part, 1);
  EXPECT_EQ(calls[1].state, 3);
  // The disabled state maps to the normal item state.
  EXPECT_EQ(Backgrounds(header(cxbsDisabled, false)), (std::vector<Drawn>{{u"Header", 1, 1, kR}}));
  // The last header in the normal state: the right-most item part under the normal-colour and
  // homestead schemes only.
  const TOffice11Scheme scheme = GetOffice11Scheme();
  const int lastPart = scheme == schNormalColor || scheme == schHomestead ? 3 : 1;
  EXPECT_EQ(Backgrounds(header(cxbsNormal, true)), (std::vector<Drawn>{{u"Header", lastPart, 1, kR}}));
  EXPECT_EQ(Backgrounds(header(cxbsHot, true)), (std::vector<Drawn>{{u"Header", 1, 2, kR}}));
  // An empty text draws no text.
  PainterProbe probe(40, 30);
  os::ScopedThemeRecorder recorder;
  native_->DrawScaledHeader(probe.Canvas(), kR, text, TcxNeighbors{}, cxBordersAll, cxbsNormal, taLeftJustify,
                            vaCenter, false, false, String(), nullptr, clBlack, clWhite, sf);
  EXPECT_EQ(recorder.Calls().size(), 1u);
}

TEST_F(PainterNativeTest, TabsExtendPastOpenSidesAndSelectedTextMovesUp) {
  auto tab = [&](TcxButtonState AState, const TcxBorders& ABorders) {
    PainterProbe probe(40, 30);
    os::ScopedThemeRecorder recorder;
    native_->DrawTab(probe.Canvas(), kR, ABorders, u"T", AState, false, nullptr, clBlack, clWhite);
    return recorder.Calls();
  };
  // Selected, no left border: 2 pixels past the left edge, one pixel lower; clipped to R.
  auto calls = tab(cxbsPressed, TcxBorders{bTop, bRight, bBottom});
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].className, u"Tab");
  EXPECT_EQ(calls[0].part, 1);
  EXPECT_EQ(calls[0].state, 3);
  EXPECT_EQ(calls[0].rect, (TRect{kR.Left - 2, kR.Top, kR.Right, kR.Bottom + 1}));
  ASSERT_TRUE(calls[0].hasClip);
  EXPECT_EQ(calls[0].clip, kR);
  EXPECT_EQ(calls[1].rect, cxRectOffset(kR, 0, -2));
  // Hot with every border: the part over R, the clip one pixel shorter; the text in place.
  calls = tab(cxbsHot, cxBordersAll);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].state, 2);
  EXPECT_EQ(calls[0].rect, kR);
  EXPECT_EQ(calls[0].clip, (TRect{kR.Left, kR.Top, kR.Right, kR.Bottom - 1}));
  EXPECT_EQ(calls[1].rect, kR);
  EXPECT_EQ(tab(cxbsDisabled, cxBordersAll)[0].state, 4);

  // A vertical tab is drawn upright into a bitmap of R's turned size.
  PainterProbe probe(40, 30);
  os::ScopedThemeRecorder recorder;
  native_->DrawTab(probe.Canvas(), kR, cxBordersAll, String(), cxbsNormal, true, nullptr, clBlack, clWhite);
  calls = recorder.Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].rect, (TRect{0, 0, kR.Height(), kR.Width()}));
  EXPECT_NE(probe.Rgb(kR.Left + kR.Width() / 2, kR.Top + kR.Height() / 2), probe.Sentinel() & 0xFFFFFF);
  probe.SavePng("native_vertical_tab", 10);
}

// --- The Standard drawing for a class that cannot be opened, and with styles off ------------

using AnyDraw = std::function<void(TcxCustomLookAndFeelPainter&, TcxCanvas*)>;
// The classes failed for a case: the operation's own, then those of the themed operations its
// Standard drawing calls back (a button's border, an arrow's border).
struct FallbackCase {
  const char* name;
  std::vector<const Char*> classes;
  AnyDraw draw;
};

std::vector<FallbackCase> FallbackCases() {
  TdxScaleFactor* sf = dxSystemScaleFactor();
  const TRect r{2, 2, 22, 18};
  return {
      {"push button",
       {u"Button"},
       [=](auto& p, auto* c) { p.DrawScaledButton(c, r, u"Ok", cxbsNormal, sf); }},
      {"hot push button",
       {u"Button"},
       [=](auto& p, auto* c) { p.DrawScaledButton(c, r, String(), cxbsHot, sf); }},
      {"tool button",
       {u"ToolBar", u"Button"},
       [=](auto& p, auto* c) {
         p.DrawScaledButton(c, r, String(), cxbsPressed, sf, true, clDefault, clDefault, false, true);
       }},
      {"arrow",
       {u"ScrollBar", u"Button"},
       [=](auto& p, auto* c) { p.DrawScaledArrow(c, r, cxbsHot, adDown, sf); }},
      {"arrow border",
       {u"Button"},
       [=](auto& p, auto* c) { p.DrawScaledArrowBorder(c, r, cxbsPressed, sf); }},
      {"border", {u"ListView"}, [=](auto& p, auto* c) { p.DrawBorder(c, r); }},
      {"separator", {u"ToolBar"}, [=](auto& p, auto* c) { p.DoDrawSeparator(c, r, true); }},
      {"check box",
       {u"Button"},
       [=](auto& p, auto* c) {
         p.DrawScaledCheck(c, TRect{3, 3, 16, 16}, cxbsNormal, cbsChecked, clDefault, sf);
       }},
      {"check border",
       {u"Button"},
       [=](auto& p, auto* c) {
         p.DrawCheckBorder(c, TRect{3, 3, 16, 16}, cxbsHot);
       }},
      {"radio button",
       {u"Button"},
       [=](auto& p, auto* c) { p.DrawScaledRadioButton(c, 3, 3, cxbsNormal, true, false, clDefault, sf); }},
      {"expand button",
       {u"TreeView"},
       [=](auto& p, auto* c) {
         p.DrawScaledExpandButton(c, TRect{4, 4, 13, 13}, true, sf);
       }},
      {"small expand button",
       {u"TreeView"},
       [=](auto& p, auto* c) {
         p.DrawScaledSmallExpandButton(c, TRect{4, 4, 13, 13}, false, clBlack, sf);
       }},
      {"scroll-bar line button",
       {u"ScrollBar", u"Button"},
       [=](auto& p, auto* c) { p.DoDrawScaledScrollBarPart(c, false, r, sbpLineUp, cxbsNormal, sf); }},
      {"scroll-bar thumb",
       {u"ScrollBar", u"Button"},
       [=](auto& p, auto* c) { p.DoDrawScaledScrollBarPart(c, true, r, sbpThumbnail, cxbsNormal, sf); }},
      {"scroll-bar page",
       {u"ScrollBar"},
       [=](auto& p, auto* c) { p.DoDrawScaledScrollBarPart(c, true, r, sbpPageDown, cxbsPressed, sf); }},
      {"size grip", {u"ScrollBar"}, [=](auto& p, auto* c) { p.DoDrawSizeGrip(c, r, sf); }},
      {"header",
       {u"Header"},
       [=](auto& p, auto* c) {
         p.DrawScaledHeader(c, r, r, TcxNeighbors{}, cxBordersAll, cxbsNormal, taLeftJustify, vaCenter, false,
                            false, String(), nullptr, clBlack, clBtnFace, sf);
       }},
      {"footer border", {u"Edit"}, [=](auto& p, auto* c) { p.DrawFooterBorder(c, r); }},
      {"footer cell",
       {u"TrackBar"},
       [=](auto& p, auto* c) {
         p.DrawFooterCell(c, r, taLeftJustify, vaTop, false, String(), nullptr, clBlack, clBtnFace);
       }},
      {"tab",
       {u"Tab"},
       [=](auto& p, auto* c) {
         p.DrawTab(c, r, cxBordersAll, String(), cxbsNormal, false, nullptr, clBlack, clBtnFace);
       }},
      {"tab border", {u"Tab"}, [=](auto& p, auto* c) { p.DrawTabBorder(c, r, bLeft, cxBordersAll, false); }},
      {"tabs root", {u"Tab"}, [=](auto& p, auto* c) { p.DrawTabsRoot(c, r, cxBordersAll, false); }},
      {"group box", {u"Button"}, [=](auto& p, auto* c) { p.DrawGroupBoxFrame(c, r, true, cxgpTop); }},
      {"track-bar thumb",
       {u"TrackBar"},
       [=](auto& p, auto* c) { p.DrawTrackBarScaledThumb(c, r, cxbsNormal, true, tbtaBoth, clDefault, sf); }},
      {"track-bar track",
       {u"TrackBar"},
       [=](auto& p, auto* c) {
         p.DrawTrackBarScaledTrack(c, TRect{2, 8, 22, 12}, TRect{}, false, true, true, clDefault, sf);
       }},
      {"hint", {u"ToolTip"}, [=](auto& p, auto* c) { p.DrawHintBackground(c, r); }},
      {"filter drop-down button",
       {u"ComboBox"},
       [=](auto& p, auto* c) { p.DrawScaledFilterDropDownButton(c, r, cxbsHot, true, sf); }},
      {"zoom-in button",
       {u"Button"},
       [=](auto& p, auto* c) { p.DrawScaledZoomInButton(c, r, cxbsNormal, sf); }},
      {"bevel line",
       {u"ToolBar"},
       [=](auto& p, auto* c) { p.DrawBevelLine(c, r, clBtnShadow, clBtnHighlight, false); }},
      {"bevel frame",
       {u"Button"},
       [=](auto& p, auto* c) { p.DrawBevelFrame(c, r, clBtnShadow, clBtnHighlight, true); }},
      {"scheduler navigator button",
       {u"ToolBar", u"Button"},
       [=](auto& p, auto* c) { p.DrawSchedulerScaledNavigatorButton(c, r, cxbsNormal, sf); }},
      {"scheduler event progress",
       {u"Progress"},
       [=](auto& p, auto* c) {
         p.DrawSchedulerEventProgress(c, r, TRect{4, 4, 10, 10}, TcxViewParams{nullptr, clWindow}, false);
       }},
  };
}

TEST_F(PainterNativeTest, WithStylesOffEveryOperationDrawsAsStandard) {
  StylesOff();
  for (const FallbackCase& c : FallbackCases()) {
    SCOPED_TRACE(c.name);
    PainterProbe native(24, 20), standard(24, 20);
    os::ScopedThemeRecorder recorder;
    c.draw(*native_, native.Canvas());
    c.draw(standard_, standard.Canvas());
    EXPECT_TRUE(recorder.Calls().empty());
    EXPECT_TRUE(SamePixels(native, standard));
  }
  // The metrics follow Standard's too.
  TdxScaleFactor* sf = dxSystemScaleFactor();
  EXPECT_EQ(native_->BorderSize(), standard_.BorderSize());
  EXPECT_EQ(native_->ButtonBorderSize(), standard_.ButtonBorderSize());
  EXPECT_EQ(native_->ButtonColor(cxbsHot), standard_.ButtonColor(cxbsHot));
  EXPECT_EQ(native_->ScaledCheckButtonSize(sf), standard_.ScaledCheckButtonSize(sf));
  EXPECT_EQ(native_->ScaledRadioButtonSize(sf), standard_.ScaledRadioButtonSize(sf));
  EXPECT_EQ(native_->ScaledExpandButtonSize(sf), standard_.ScaledExpandButtonSize(sf));
  EXPECT_EQ(native_->HeaderBorderSize(), standard_.HeaderBorderSize());
  EXPECT_EQ(native_->FooterCellBorderSize(), standard_.FooterCellBorderSize());
  EXPECT_EQ(native_->ScaledScrollBarMinimalThumbSize(true, sf),
            standard_.ScaledScrollBarMinimalThumbSize(true, sf));
  EXPECT_EQ(native_->ScaledSizeGripSize(sf), standard_.ScaledSizeGripSize(sf));
  EXPECT_EQ(native_->TabBorderSize(false), standard_.TabBorderSize(false));
  EXPECT_FALSE(native_->NeedRedrawOnResize());
}

TEST_F(PainterNativeTest, AClassThatCannotBeOpenedFallsBackForItsOperationsOnly) {
  for (const FallbackCase& c : FallbackCases()) {
    SCOPED_TRACE(c.name);
    os::ResetThemeForTesting();
    CloseAllThemes();
    for (const Char* cls : c.classes) FailClass(cls);
    PainterProbe native(24, 20), standard(24, 20);
    os::ScopedThemeRecorder recorder;
    c.draw(*native_, native.Canvas());
    c.draw(standard_, standard.Canvas());
    for (const os::ThemeDrawCall& call : recorder.Calls())
      for (const Char* cls : c.classes) EXPECT_NE(call.className, String(cls));
    EXPECT_TRUE(SamePixels(native, standard));
  }
  // The rest stays themed: with the button class missing, arrows still come from the scroll bar.
  os::ResetThemeForTesting();
  FailClass(u"Button");
  PainterProbe probe(40, 30);
  os::ScopedThemeRecorder recorder;
  native_->DrawScaledArrow(probe.Canvas(), kR, cxbsNormal, adUp, dxSystemScaleFactor());
  EXPECT_EQ(Backgrounds(recorder.Calls()), (std::vector<Drawn>{{u"ScrollBar", 1, 1, kR}}));
}

// --- Scaled theme backgrounds ---------------------------------------------------------------------

TEST_F(PainterNativeTest, ThemeBitmapAlphaFixKeepsBlackInkAndOnlyAllZeroIsTransparent) {
  TcxBitmap32 bitmap(4, 1, true);
  TRGBColors colors;
  bitmap.GetBitmapColors(colors);
  ASSERT_EQ(colors.size(), 4u);
  colors[0] = RGBQUAD{0, 0, 0, 0};              // untouched
  colors[1] = RGBQUAD{0, 0, 0, 255};            // opaque black ink
  colors[2] = RGBQUAD{0x80, 0x40, 0x20, 0};     // plain GDI drawing, no alpha
  colors[3] = RGBQUAD{0x20, 0x20, 0x20, 0x80};  // half-transparent, premultiplied
  bitmap.SetBitmapColors(colors);
  cxCorrectThemeBitmapAlpha(&bitmap);
  bitmap.GetBitmapColors(colors);
  EXPECT_EQ(colors[0].rgbReserved, 0);
  EXPECT_EQ(colors[1].rgbReserved, 255);
  EXPECT_EQ(colors[1].rgbRed | colors[1].rgbGreen | colors[1].rgbBlue, 0);
  EXPECT_EQ(colors[2].rgbReserved, 255);
  EXPECT_EQ(colors[2].rgbBlue, 0x80);
  EXPECT_EQ(colors[3].rgbReserved, 0x80);
}

TEST_F(PainterNativeTest, CheckAndRadioAtAnotherScaleAreDrawnAtThePartSizeAndStretched) {
  TdxScaleFactor twice;
  twice.Assign(2, 1, false);
  SIZE part{};
  ASSERT_EQ(dxUxTheme::GetThemePartSize(OpenTheme(totButton), nullptr, 2, 5, TS_TRUE, &part), S_OK);
  const TSize size = native_->ScaledRadioButtonSize(&twice);
  PainterProbe probe(size.cx + 4, size.cy + 4);
  os::ScopedThemeRecorder recorder;
  native_->DrawScaledRadioButton(probe.Canvas(), 2, 2, cxbsNormal, true, false, clDefault, &twice);
  // Drawn once, into a bitmap of the theme's own size.
  EXPECT_EQ(Backgrounds(recorder.Calls()),
            (std::vector<Drawn>{{u"Button", 2, 5, TRect{0, 0, part.cx, part.cy}}}));
  // Round: the corners of the stretched button stay untouched, the middle is drawn.
  EXPECT_EQ(probe.Rgb(2, 2), probe.Sentinel() & 0xFFFFFF);
  EXPECT_EQ(probe.Rgb(1 + size.cx, 1 + size.cy), probe.Sentinel() & 0xFFFFFF);
  EXPECT_NE(probe.Rgb(2 + size.cx / 2, 2 + size.cy / 2), probe.Sentinel() & 0xFFFFFF);
  probe.SavePng("native_radio_x2", 8);

  // At the system scale factor the part goes straight to the canvas.
  PainterProbe direct(24, 24);
  os::ScopedThemeRecorder again;
  native_->DrawScaledCheck(direct.Canvas(), TRect{3, 3, 16, 16}, cxbsNormal, cbsUnchecked, clDefault,
                           dxSystemScaleFactor());
  EXPECT_EQ(Backgrounds(again.Calls()), (std::vector<Drawn>{{u"Button", 3, 1, TRect{3, 3, 16, 16}}}));
}

// --- Metrics: from the system scale factor, or from 96 DPI ------------------------------------------

TEST_F(PainterNativeTest, ThemeSizesConvertFromTheSystemScaleFactorOrFrom96Dpi) {
  SystemDpiScope dpi(144);
  CloseAllThemes();
  TdxScaleFactor twice;
  twice.Assign(2, 1, false);
  auto partSize = [](TdxThemedObjectType AType, int APart, int AState, THEMESIZE AKind) {
    SIZE s{};
    EXPECT_EQ(dxUxTheme::GetThemePartSize(OpenTheme(AType), nullptr, APart, AState, AKind, &s), S_OK);
    return s;
  };
  // From the system scale factor (3/2 here) to 2: two thirds more... that is, times 4/3.
  const SIZE check = partSize(totButton, 3, 5, TS_TRUE);
  EXPECT_EQ(native_->ScaledCheckButtonSize(&twice), (TSize{MulDiv(check.cx, 4, 3), MulDiv(check.cy, 4, 3)}));
  const SIZE radio = partSize(totButton, 2, 1, TS_TRUE);
  EXPECT_EQ(native_->ScaledRadioButtonSize(&twice), (TSize{MulDiv(radio.cx, 4, 3), MulDiv(radio.cy, 4, 3)}));
  const SIZE glyph = partSize(totTreeView, 2, 2, TS_TRUE);
  EXPECT_EQ(native_->ScaledExpandButtonSize(&twice), MulDiv(glyph.cx, 4, 3));
  EXPECT_EQ(native_->ScaledSmallExpandButtonSize(&twice), MulDiv(glyph.cx, 4, 3));
  // From 96 DPI: doubled.
  const SIZE group = partSize(totExplorerBar, 7, 1, TS_TRUE);
  EXPECT_EQ(native_->ScaledGroupExpandButtonSize(&twice), group.cx * 2);
  // The minimal thumb at 200 percent: twice the theme's thumb plus its content margins.
  const SIZE thumb = partSize(totScrollBar, 3, 1, TS_MIN);
  MARGINS margins;
  ASSERT_EQ(dxUxTheme::GetThemeMargins(OpenTheme(totScrollBar), nullptr, 3, 1, TMT_CONTENTMARGINS, nullptr,
                                       &margins),
            S_OK);
  EXPECT_EQ(native_->ScaledScrollBarMinimalThumbSize(true, &twice),
            2 * (thumb.cy + margins.cyTopHeight + margins.cyBottomHeight));
  const SIZE hthumb = partSize(totScrollBar, 2, 1, TS_MIN);
  EXPECT_EQ(native_->ScaledScrollBarMinimalThumbSize(false, &twice),
            2 * (hthumb.cx + margins.cxLeftWidth + margins.cxRightWidth));
}

// --- Shared metrics and colours ----------------------------------------------------------------------

TEST_F(PainterNativeTest, MetricsAndColoursFromTheTheme) {
  TdxScaleFactor* sf = dxSystemScaleFactor();
  EXPECT_EQ(native_->LookAndFeelName(), u"Native");
  EXPECT_EQ(native_->LookAndFeelStyle(), lfsNative);
  EXPECT_TRUE(native_->NeedRedrawOnResize());
  EXPECT_EQ(native_->BorderSize(), 1);
  EXPECT_EQ(native_->CheckBorderSize(), 0);
  EXPECT_EQ(native_->SeparatorSize(), 6);
  EXPECT_EQ(native_->ScaledButtonTextShift(sf), 0);
  // Property 204 is no colour: the base button colour stays.
  EXPECT_EQ(native_->ButtonColor(cxbsNormal), standard_.ButtonColor(cxbsNormal));
  COLORREF text = 0;
  ASSERT_EQ(dxUxTheme::GetThemeColor(OpenTheme(totButton), 1, 4, TMT_TEXTCOLOR, &text), S_OK);
  EXPECT_EQ(native_->ButtonSymbolColor(cxbsDisabled), static_cast<TColor>(text));
  TRect content;
  const TRect hundred{0, 0, 100, 100};
  ASSERT_EQ(dxUxTheme::GetThemeBackgroundContentRect(OpenTheme(totButton), nullptr, 1, 5, &hundred, &content),
            S_OK);
  EXPECT_EQ(native_->ButtonBorderSize(cxbsDefault), content.Left);
  ASSERT_EQ(dxUxTheme::GetThemeBackgroundContentRect(OpenTheme(totHeader), nullptr, 1, 1, &hundred, &content),
            S_OK);
  EXPECT_EQ(native_->HeaderBorderSize(), std::max(1, (content.Left + content.Top) / 2));
  EXPECT_EQ(native_->HeaderControlSectionContentBounds(kR, cxbsNormal),
            cxRectInflate(kR, -native_->HeaderBorderSize()));
  EXPECT_EQ(native_->GetHintBorderColor(), clWindowFrame);
  // A small close button below 10 pixels is made 13 by 13.
  SIZE close{};
  ASSERT_EQ(dxUxTheme::GetThemePartSize(OpenTheme(totWindow), nullptr, 19, 1, TS_TRUE, &close), S_OK);
  const TSize expectClose = close.cx < 10 || close.cy < 10 ? TSize{13, 13} : TSize{close.cx, close.cy};
  EXPECT_EQ(native_->DoGetSmallCloseButtonSize(), expectClose);
  EXPECT_EQ(native_->ScaledFilterCloseButtonSize(sf),
            (TPoint{native_->ScaledSmallCloseButtonSize(sf).cx + 4,
                    native_->ScaledSmallCloseButtonSize(sf).cy + 4}));
  // Zoom buttons: the glyph plus the push button's content margins.
  MARGINS margins;
  ASSERT_EQ(
      dxUxTheme::GetThemeMargins(OpenTheme(totButton), nullptr, 1, 0, TMT_CONTENTMARGINS, nullptr, &margins),
      S_OK);
  ASSERT_NE(native_->ZoomInButtonGlyph(), nullptr);
  EXPECT_EQ(native_->GetScaledZoomInButtonSize(sf),
            (TSize{native_->ZoomInButtonGlyph()->Width() + margins.cxLeftWidth + margins.cxRightWidth,
                   native_->ZoomInButtonGlyph()->Height() + margins.cyTopHeight + margins.cyBottomHeight}));
}

TEST_F(PainterNativeTest, ZoomGlyphsAreThirtyTwoBitResources) {
  for (TcxBitmap32* glyph : {native_->ZoomInButtonGlyph(), native_->ZoomOutButtonGlyph()}) {
    ASSERT_NE(glyph, nullptr);
    EXPECT_EQ(glyph->PixelFormat(), pf32bit);
    EXPECT_EQ(glyph->Width(), 10);
    EXPECT_EQ(glyph->Height(), 10);
  }
}

}  // namespace
}  // namespace qd::testing
