// The skin painter: which element, frame and state each operation draws (over recording fake
// elements), the fallbacks to the Office11 and UltraFlat drawing when the skin lacks the
// element, colour and metric answers, the disabled-look filter, a missing resource, and the
// default painter "UserSkin" with its registration and its stored skin.
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lookandfeel/painter_test_util.h"
#include "platform/base/exceptions.h"
#include "platform/base/strings.h"
#include "tests/skins/skins_test_util.h"
#include "ui/core/dxCore.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/svg/dxSVGCore.h"
#include "ui/graphics/svg/dxSVGImage.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersBitmaps.h"
#include "ui/lookandfeel/cxLookAndFeels.h"
#include "ui/skins/dxSkinsDefaultPainters.h"
#include "ui/skins/dxSkinsLookAndFeelPainter.h"

namespace qd {
namespace {

using testing::PainterProbe;

struct SkinDrawRecord {
  std::string element;
  int32_t frame;
  TdxSkinElementState state;
  TRect rect;
};

// An element that records its draws instead of painting.
class TRecordingSkinElement : public TdxSkinElement {
 public:
  TRecordingSkinElement(std::vector<SkinDrawRecord>* ALog, const String& AName)
      : TdxSkinElement(nullptr, AName), FLog(ALog) {}
  using TdxSkinElement::Draw;
  void Draw(HDC, const TRect& R, const TdxScaleFactor*, int32_t AImageIndex,
            TdxSkinElementState AState) override {
    FLog->push_back({StringToUtf8(Name()), AImageIndex, AState, R});
  }

 private:
  std::vector<SkinDrawRecord>* FLog;
};

class SkinPainterTest : public testing::SkinsTest {
 protected:
  void SetUp() override {
    SkinsTest::SetUp();
    // The SVG codec: some of the ancestors' glyphs are vector pictures.
    dxSVGCore::Initialize();
    dxSVGImage::Initialize();
    cxLookAndFeelPainters::Initialize();
    cxLookAndFeelPaintersBitmaps::Initialize();
  }
  void TearDown() override {
    cxLookAndFeelPaintersBitmaps::Finalize();
    cxLookAndFeelPainters::Finalize();
    dxSVGImage::Finalize();
    dxSVGCore::Finalize();
    SkinsTest::TearDown();
  }

  // A painter without a resource whose skin information holds an empty test skin (every name
  // resolved to a blank element).
  std::unique_ptr<TdxSkinLookAndFeelPainter> MakeSkinPainter() {
    auto painter = std::make_unique<TdxSkinLookAndFeelPainter>(String(), nullptr);
    painter->GetSkinInfo()->SetSkin(new TdxSkin(u"test"));
    return painter;
  }
  TRecordingSkinElement* Fake(const char16_t* AName) {
    fakes_.push_back(std::make_unique<TRecordingSkinElement>(&log_, AName));
    return fakes_.back().get();
  }

  std::vector<SkinDrawRecord> log_;
  std::vector<std::unique_ptr<TRecordingSkinElement>> fakes_;
};

using Info = TdxSkinLookAndFeelPainterInfo;
using Painter = TcxCustomLookAndFeelPainter;

enum class Fallback { Office11, UltraFlat };

struct OperationRow {
  const char* operation;
  // Puts the element (or nil) where the operation looks for it.
  std::function<void(Info*, TdxSkinElement*)> attach;
  std::function<void(Painter&, TcxCanvas*, const TRect&)> draw;
  // (frame, state) of each draw of the element, in order; empty: nothing drawn.
  std::vector<std::pair<int32_t, TdxSkinElementState>> draws;
  Fallback fallback = Fallback::Office11;
  // False where the ancestor's drawing itself calls operations the skin answers (its content
  // colours, its text drawing), so the pictures differ by design; the element is still not drawn.
  bool samePixels = true;
};

TdxScaleFactor* Scale() {
  return dxDefaultScaleFactor();
}

const std::vector<OperationRow>& OperationRows() {
  static const std::vector<OperationRow> rows = {
      {"button, default state",
       [](Info* i, TdxSkinElement* e) { i->ButtonElements = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawScaledButton(c, r, String(), cxbsDefault, Scale());
       },
       {{0, esActive}}},
      {"drop-down button right part, hot",
       [](Info* i, TdxSkinElement* e) {
         i->DropDownButtonRight = e;
         if (!e) i->ButtonElements = nullptr;
       },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawScaledButton(c, r, String(), cxbsHot, Scale(), true, clDefault, clDefault, false, false,
                            cxbpDropDownRightPart);
       },
       {{0, esHot}}},
      {"check box, grayed, default state",
       [](Info* i, TdxSkinElement* e) { i->CheckboxElement = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawScaledCheckButton(c, r, cxbsDefault, cbsGrayed, Scale());
       },
       {{2, esActive}}},
      {"radio button, checked, pressed",
       [](Info* i, TdxSkinElement* e) { i->RadioGroupButton = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawScaledRadioButton(c, r.Left, r.Top, cxbsPressed, true, false, clDefault, Scale());
       },
       {{1, esPressed}}},
      {"vertical scroll bar, page down, hot",
       [](Info* i, TdxSkinElement* e) {
         i->ScrollBar_Elements[0][sbpPageDown] = std::make_unique<TdxSkinScrollInfo>(e, 3);
       },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawScaledScrollBarPart(c, false, r, sbpPageDown, cxbsHot, Scale());
       },
       {{3, esHot}}},
      {"vertical scroll bar, page down, normal: the background shows",
       [](Info* i, TdxSkinElement* e) {
         i->ScrollBar_Elements[0][sbpPageDown] = std::make_unique<TdxSkinScrollInfo>(e, 3);
       },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawScaledScrollBarPart(c, false, r, sbpPageDown, cxbsNormal, Scale());
       },
       {}},
      {"vertical progress chunk",
       [](Info* i, TdxSkinElement* e) { i->ProgressBarElements[3] = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) { p.DrawProgressBarChunk(c, r, true); },
       {{0, esNormal}}},
      {"horizontal progress border",
       [](Info* i, TdxSkinElement* e) { i->ProgressBarElements[0] = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) { p.DrawProgressBarBorder(c, r, false); },
       {{0, esNormal}}},
      {"vertical label line",
       [](Info* i, TdxSkinElement* e) { i->LabelLine[1] = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) { p.DrawLabelLine(c, r, clRed, clBlue, true); },
       {{0, esNormal}}},
      {"editor close button, pressed",
       [](Info* i, TdxSkinElement* e) { i->EditButtonElements[1] = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawScaledEditorButton(c, r, cxbkCloseBtn, cxbsPressed, Scale());
       },
       {{0, esPressed}}},
      {"horizontal splitter, highlighted, close mark down",
       [](Info* i, TdxSkinElement* e) { i->Splitter[1] = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawScaledSplitter(c, r, true, false, true, Scale(), true, adDown);
       },
       {{2, esHot}}},
      {"disabled horizontal track with a selection",
       [](Info* i, TdxSkinElement* e) { i->TrackBarTrack[1] = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawTrackBarScaledTrack(c, r, TRect{2, 0, 6, r.Bottom}, true, false, true, clDefault, Scale());
       },
       {{2, esNormal}, {3, esNormal}}},
      {"checked toggle switch",
       [](Info* i, TdxSkinElement* e) { i->ToggleSwitch = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawScaledToggleSwitchState(c, r, cxbsNormal, true, Scale());
       },
       {{1, esActive}},
       Fallback::UltraFlat},
      {"disabled toggle switch",
       [](Info* i, TdxSkinElement* e) { i->ToggleSwitch = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawScaledToggleSwitchState(c, r, cxbsDisabled, true, Scale());
       },
       {{1, esDisabled}},
       Fallback::UltraFlat},
      {"normal token: nothing",
       [](Info* i, TdxSkinElement* e) { i->HighlightedItem = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawScaledTokenBackground(c, r, cxbsNormal, Scale());
       },
       {}},
      {"pressed token",
       [](Info* i, TdxSkinElement* e) { i->HighlightedItem = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawScaledTokenBackground(c, r, cxbsPressed, Scale());
       },
       {{1, esNormal}}},
      {"expanded plus-minus button",
       [](Info* i, TdxSkinElement* e) { i->ExpandButton = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) { p.DrawScaledExpandButton(c, r, true, Scale()); },
       {{1, esNormal}}},
      {"hot slider arrow left",
       [](Info* i, TdxSkinElement* e) {
         i->SliderArrow[adLeft] = e;
         if (!e) i->ScrollBar_Elements[1][sbpLineUp].reset();
       },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawScaledSliderButton(c, r, adLeft, cxbsHot, Scale());
       },
       {{0, esHot}}},
      {"size grip",
       [](Info* i, TdxSkinElement* e) { i->SizeGrip = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) { p.DrawSizeGrip(c, r); },
       {{0, esNormal}}},
      {"horizontal track-bar thumb, ticks both sides, hot",
       [](Info* i, TdxSkinElement* e) { i->TrackBarThumb[1][tbtaBoth] = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawTrackBarScaledThumb(c, r, cxbsHot, true, tbtaBoth, clDefault, Scale());
       },
       {{0, esHot}}},
      {"pop-up menu selection",
       [](Info* i, TdxSkinElement* e) { i->PopupMenuLinkSelected = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawDropDownListBoxScaledSelection(c, r, TRect{0, 0, 4, r.Bottom}, Scale());
       },
       {{0, esNormal}}},
      {"group box button, disabled",
       [](Info* i, TdxSkinElement* e) {
         i->GroupButton = e;
         if (!e) i->ButtonElements = nullptr;
       },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawGroupBoxScaledButton(c, r, cxbsDisabled, Scale());
       },
       {{0, esDisabled}}},
      {"breadcrumb node with a delimiter, hot",
       [](Info* i, TdxSkinElement* e) {
         i->BreadcrumbEditNodeSplitButtonLeft = e;
         if (!e) i->BreadcrumbEditButton = i->ButtonElements = nullptr;
       },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawBreadcrumbEditScaledNode(c, r, dxbcbsHot, true, Scale());
       },
       {{0, esHot}}},
      {"alert pin button, down and hot: the glyph in the not-down state",
       [](Info* i, TdxSkinElement* e) {
         i->AlertWindowButton = e;
         i->AlertWindowButtonGlyphs = e;
         if (!e) i->ButtonElements = nullptr;
       },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawAlertWindowScaledButton(c, r, cxbsHot, awbkPin, Scale(), true);
       },
       {{2, esHot}}},
      {"today in a date navigator",
       [](Info* i, TdxSkinElement* e) { i->HighlightedItem = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawCalendarDateCellSelection(c, r, TcxCalendarElementStates{cesMarked, cesSelected});
       },
       {{1, esNormal}}},
      {"modern calendar right arrow, selected",
       [](Info* i, TdxSkinElement* e) { i->CalendarNavigationButton = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawScaledModernCalendarArrow(c, r, adRight, cesSelected, Scale());
       },
       {{1, esPressed}}},
      {"modern calendar header, not hot: nothing",
       [](Info* i, TdxSkinElement* e) { i->HighlightedItem = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawModernCalendarHeaderSelection(c, r, TcxCalendarElementStates{cesSelected});
       },
       {}},
      {"filter indicator",
       [](Info* i, TdxSkinElement* e) { i->IndicatorImages = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) { p.DrawScaledIndicatorImage(c, r, ikFilter, Scale()); },
       {{8, esNormal}}},
      {"multi-dot indicator, blended",
       [](Info* i, TdxSkinElement* e) {
         i->IndicatorImages = e;
         if (e) e->Image()->Texture()->LoadFromBits(8, 8, TRGBColors(64, RGBQUAD{0, 0, 255, 255}), afDefined);
       },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawScaledIndicatorImage(c, r, ikMultiDot, Scale());
       },
       {{0, esNormal}}},
      {"no indicator",
       [](Info* i, TdxSkinElement* e) { i->IndicatorImages = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) { p.DrawScaledIndicatorImage(c, r, ikNone, Scale()); },
       {}},
      {"ascending sorting mark",
       [](Info* i, TdxSkinElement* e) { i->SortGlyphs = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) { p.DrawScaledSortingMark(c, r, true, Scale()); },
       {{1, esNormal}}},
      {"smart tag of an active filter, parent hot",
       [](Info* i, TdxSkinElement* e) { i->SmartFilterButton = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawScaledFilterSmartTag(c, r, fstsParentHot, true, Scale());
       },
       {{0, esActive}}},
      {"map custom element, normal: nothing",
       [](Info* i, TdxSkinElement* e) { i->MapControlCustomElement = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) { p.DrawMapCustomElementBackground(c, r, mcesNormal); },
       {}},
      {"map custom element, selected",
       [](Info* i, TdxSkinElement* e) { i->MapControlCustomElement = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) { p.DrawMapCustomElementBackground(c, r, mcesSelected); },
       {{0, esPressed}}},
      {"data navigator button, pressed",
       [](Info* i, TdxSkinElement* e) { i->NavigatorButton = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawNavigatorScaledButton(c, r, cxbsPressed, clDefault, Scale());
       },
       {{0, esPressed}},
       Fallback::UltraFlat},
      {"summary value sorting mark",
       [](Info* i, TdxSkinElement* e) { i->IndicatorImages = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawScaledSummaryValueSortingMark(c, r, true, Scale());
       },
       {{10, esNormal}}},
      {"indicator customization mark",
       [](Info* i, TdxSkinElement* e) { i->IndicatorImages = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawScaledIndicatorCustomizationMark(c, r, clBlue, Scale());
       },
       {{2, esNormal}}},
      {"footer border",
       [](Info* i, TdxSkinElement* e) { i->FooterPanel = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) { p.DrawFooterBorderEx(c, r, TcxBorders{bTop}); },
       {{0, esNormal}},
       Fallback::UltraFlat,
       false},
      {"scheduler milestone",
       [](Info* i, TdxSkinElement* e) { i->SchedulerMilestone = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) { p.DrawSchedulerMilestone(c, r); },
       {{0, esNormal}}},
      {"scheduler group without a tint",
       [](Info* i, TdxSkinElement* e) { i->SchedulerGroup = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) { p.DrawSchedulerGroup(c, r, clDefault); },
       {{0, esNormal}}},
      {"scheduler group tinted: its outline drawn again from frame 1",
       [](Info* i, TdxSkinElement* e) { i->SchedulerGroup = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) { p.DrawSchedulerGroup(c, r, clRed); },
       {{0, esNormal}, {1, esNormal}},
       Fallback::Office11,
       false},
      {"expanded spreadsheet group glyph",
       [](Info* i, TdxSkinElement* e) { i->NavigatorGlyphs = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawSpreadSheetScaledGroupExpandButtonGlyph(c, r, cxbsNormal, true, Scale(), nullptr);
       },
       {{8, esNormal}},
       Fallback::Office11,
       false},
      {"selected print-preview page",
       [](Info* i, TdxSkinElement* e) { i->PrintingPageBorder = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawPrintPreviewPageScaledBackground(c, r, cxRectInflate(r, -3), true, true, Scale());
       },
       {{0, esActive}}},
      {"PDF navigation pane",
       [](Info* i, TdxSkinElement* e) { i->PDFViewerNavigationPaneBackground = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.PDFViewerDrawNavigationPaneBackground(c, r, Scale());
       },
       {{0, esActive}},
       Fallback::Office11,
       false},
      {"selected PDF navigation pane button",
       [](Info* i, TdxSkinElement* e) { i->PDFViewerNavigationPaneButton = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.PDFViewerDrawNavigationPaneButton(c, r, cxbsNormal, Scale(), false, true, false);
       },
       {{0, esHot}},
       Fallback::Office11,
       false},
      {"pressed PDF navigation pane button",
       [](Info* i, TdxSkinElement* e) { i->PDFViewerNavigationPaneButton = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.PDFViewerDrawNavigationPaneButton(c, r, cxbsPressed, Scale(), false, false, false);
       },
       {{0, esDisabled}},
       Fallback::Office11,
       false},
      {"hot PDF page button",
       [](Info* i, TdxSkinElement* e) { i->PDFViewerNavigationPanePageButton = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.PDFViewerDrawNavigationPanePageButton(c, r, cxbsHot, Scale());
       },
       {{0, esHot}}},
      {"PDF find panel with a bottom border",
       [](Info* i, TdxSkinElement* e) { i->PDFViewerFindPanel = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.PDFViewerDrawFindPanelBackground(c, r, TcxBorders{bBottom});
       },
       {{0, esNormal}},
       Fallback::Office11,
       false},
      {"hot range-control ruler header",
       [](Info* i, TdxSkinElement* e) { i->RangeControlRulerHeader = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawRangeControlScaledRulerHeader(c, r, true, 0, 0, Scale());
       },
       {{0, esHot}}},
      {"range-control right thumb",
       [](Info* i, TdxSkinElement* e) { i->RangeControlRightThumb = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawRangeControlScaledRightThumb(c, r, clRed, clBlue, Scale());
       },
       {{0, esNormal}}},
      {"month header",
       [](Info* i, TdxSkinElement* e) { i->Header = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.DrawScaledMonthHeader(c, r, String(), TcxNeighbors{}, TcxViewParams{}, TcxArrowDirections{adLeft},
                                 6, Scale());
       },
       {{0, esNormal}},
       Fallback::Office11,
       false},
      {"normal layout-view item without borders: nothing",
       [](Info* i, TdxSkinElement* e) { i->LayoutViewItem = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) { p.LayoutViewDrawItem(c, r, cxbsNormal, TcxBorders{}); },
       {},
       Fallback::Office11,
       false},
      {"hot layout-view record caption",
       [](Info* i, TdxSkinElement* e) { i->LayoutViewRecordCaptionElements[cxgpTop] = e; },
       [](Painter& p, TcxCanvas* c, const TRect& r) {
         p.LayoutViewDrawRecordCaption(c, r, cxRectInflate(r, -4), cxgpTop, cxbsHot);
       },
       {{0, esActive}},
       Fallback::Office11,
       false},
  };
  return rows;
}

std::string StateName(TdxSkinElementState AState) {
  return StringToUtf8(dxSkinElementStateNames[AState]);
}

TEST_F(SkinPainterTest, OperationsDrawTheirElementFrameAndStateAndFallBackWithoutIt) {
  for (const OperationRow& row : OperationRows()) {
    SCOPED_TRACE(row.operation);
    auto painter = MakeSkinPainter();
    log_.clear();
    TRecordingSkinElement* fake = Fake(u"fake");
    row.attach(painter->GetSkinInfo(), fake);
    PainterProbe probe(24, 16);
    row.draw(*painter, probe.Canvas(), probe.Bounds());
    ASSERT_EQ(log_.size(), row.draws.size());
    for (size_t i = 0; i < row.draws.size(); ++i) {
      EXPECT_EQ(log_[i].frame, row.draws[i].first) << "draw " << i;
      EXPECT_EQ(StateName(log_[i].state), StateName(row.draws[i].second)) << "draw " << i;
    }
    if (row.draws.empty())
      EXPECT_TRUE(probe.Matches(std::vector<std::string>(16, std::string(24, '.')), clBlack))
          << "nothing drawn";

    // Without the element the inherited operation draws exactly what the ancestor draws.
    row.attach(painter->GetSkinInfo(), nullptr);
    log_.clear();
    PainterProbe skinned(24, 16), reference(24, 16);
    row.draw(*painter, skinned.Canvas(), skinned.Bounds());
    std::unique_ptr<Painter> ancestor;
    if (row.fallback == Fallback::Office11)
      ancestor = std::make_unique<TcxOffice11LookAndFeelPainter>();
    else
      ancestor = std::make_unique<TcxUltraFlatLookAndFeelPainter>();
    row.draw(*ancestor, reference.Canvas(), reference.Bounds());
    EXPECT_TRUE(log_.empty());
    int differing = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 24; ++x) differing += skinned.Rgb(x, y) != reference.Rgb(x, y);
    if (row.samePixels) EXPECT_EQ(differing, 0) << "the fallback differs from the ancestor's drawing";
  }
}

TEST_F(SkinPainterTest, DrawsThroughTheCacheAndClipForEditorButtonsAndHeaders) {
  auto painter = MakeSkinPainter();
  TRecordingSkinElement* button = Fake(u"EditorButton");
  TRecordingSkinElement* header = Fake(u"Header");
  painter->GetSkinInfo()->EditButtonElements[0] = button;
  painter->GetSkinInfo()->Header = header;
  PainterProbe probe(40, 20);
  painter->DrawScaledEditorButton(probe.Canvas(), TRect{2, 2, 18, 18}, cxbkComboBtn, cxbsHot, Scale());
  painter->DrawScaledHeader(probe.Canvas(), TRect{20, 0, 40, 20}, TRect{22, 2, 38, 18}, TcxNeighbors{},
                            TcxBorders{bLeft, bTop}, cxbsNormal, taLeftJustify, vaCenter, false, false,
                            String(), nullptr, clBlack, clWhite, Scale());
  ASSERT_EQ(log_.size(), 2u);
  EXPECT_TRUE(button->UseCache());
  EXPECT_TRUE(header->UseCache());
  EXPECT_EQ(log_[0].rect, (TRect{2, 2, 18, 18}));
  // The sides without a border grow by one pixel so that neighbours share their edge.
  EXPECT_EQ(log_[1].rect, (TRect{20, 0, 41, 21}));
}

TEST_F(SkinPainterTest, EditorButtonsWithMergedBordersGrowTowardsTheirNeighbour) {
  auto painter = MakeSkinPainter();
  painter->GetSkinInfo()->EditButtonElements[0] = Fake(u"EditorButton");
  painter->GetSkinInfo()->EditButtonMergeBorders = true;
  PainterProbe probe(40, 20);
  painter->DrawScaledEditorButton(probe.Canvas(), TRect{20, 2, 36, 18}, cxbkComboBtn, cxbsNormal, Scale(),
                                  cxbpRight);
  painter->DrawScaledEditorButton(probe.Canvas(), TRect{2, 2, 18, 18}, cxbkComboBtn, cxbsNormal, Scale(),
                                  cxbpLeft);
  ASSERT_EQ(log_.size(), 2u);
  EXPECT_EQ(log_[0].rect, (TRect{20, 1, 37, 19}));
  EXPECT_EQ(log_[1].rect, (TRect{1, 1, 18, 19}));
}

TEST_F(SkinPainterTest, MetricsAndColoursComeFromTheSkinOrTheAncestor) {
  auto painter = MakeSkinPainter();
  TcxOffice11LookAndFeelPainter office11;
  struct {
    TcxContainerBorderStyle style;
    int32_t width;
  } widths[] = {{cbsNone, 0}, {cbsSingle, 1},    {cbsThick, 2},   {cbsFlat, 1},
                {cbs3D, 1},   {cbsUltraFlat, 1}, {cbsOffice11, 1}};
  for (const auto& w : widths) EXPECT_EQ(painter->GetContainerBorderWidth(w.style), w.width) << int(w.style);

  // No "BackgroundReadOnlyColor": a read-only editor takes the normal background.
  TdxSkin* skin = painter->GetSkinInfo()->Skin();
  skin->AddColor(u"ContentColor", 0x112233);
  TdxSkinControlGroup* editors = skin->GetGroupByName(u"Editors");
  editors->AddPropertyColor(u"BackgroundColor", 0x445566);
  painter->GetSkinInfo()->SkinChanged();
  EXPECT_EQ(painter->DefaultContentColor(), 0x112233);
  EXPECT_EQ(painter->DefaultControlColor(), 0x112233);
  EXPECT_EQ(painter->DefaultEditorBackgroundColorEx(esckNormal), 0x445566);
  EXPECT_EQ(painter->DefaultEditorBackgroundColorEx(esckReadOnly), 0x445566);
  EXPECT_EQ(painter->DefaultEditorBackgroundColorEx(esckDisabled),
            office11.DefaultEditorBackgroundColorEx(esckDisabled));
  EXPECT_EQ(painter->DefaultContentTextColor(), office11.DefaultContentTextColor());

  // One valid bevel colour gives a 1 x 1 minimum shape.
  editors->AddPropertyColor(u"BevelShapeColor1", 0x808080);
  editors->AddPropertyColor(u"BevelShapeColor2", clNone);
  painter->GetSkinInfo()->SkinChanged();
  TColor c1 = clNone, c2 = clNone;
  painter->GetBevelShapeColors(c1, c2);
  EXPECT_EQ(c1, 0x808080);
  EXPECT_EQ(painter->GetBevelMinimalShapeSize(dxbsBox), (TSize{1, 1}));

  // A label line's height is its element's minimum height.
  painter->GetSkinInfo()->LabelLine[0]->MinSize()->SetSize(TSize{0, 3});
  EXPECT_EQ(painter->LabelLineHeight(), 3);
  EXPECT_EQ(painter->SeparatorSize(), 3);
  EXPECT_EQ(painter->ButtonBorderSize(), 0);
  EXPECT_EQ(painter->EditButtonTextOffset(), 1);
  EXPECT_EQ(painter->LookAndFeelStyle(), lfsSkin);
}

TEST_F(SkinPainterTest, ColourFallbacksWithinTheSkin) {
  auto painter = MakeSkinPainter();
  TdxSkin* skin = painter->GetSkinInfo()->Skin();
  TdxSkinControlGroup* editors = skin->GetGroupByName(u"Editors");
  editors->AddPropertyColor(u"BreadcrumbEditBorderColor", 0x0000AA);
  editors->AddPropertyColor(u"CalendarDayTextColor", 0x000011);
  editors->AddPropertyColor(u"CalendarSelectedDayTextColor", 0x000022);
  editors->AddPropertyColor(u"CalendarInactiveDayTextColor", 0x000033);
  TdxSkinElement* menu = skin->GetGroupByName(u"Bars")->GetElementByName(u"PopupMenu");
  ASSERT_NE(menu, nullptr);
  menu->AddPropertyColor(u"TextColor", 0x000044);
  menu->AddPropertyColor(u"TextColorHot", 0x000055);
  painter->GetSkinInfo()->SkinChanged();

  // A hot breadcrumb without its own border colour takes the normal one.
  EXPECT_EQ(painter->BreadcrumbEditBordersColor(dxbcsHot), 0x0000AA);
  EXPECT_EQ(painter->BreadcrumbEditBordersColor(dxbcsNormal), 0x0000AA);

  const struct {
    TcxCalendarElementStates states;
    TColor color;
  } cells[] = {{{cesSelected, cesMarked}, 0x000011},
               {{cesSelected}, 0x000022},
               {{cesHot}, 0x000022},
               {{cesDisabled, cesHot}, 0x000033},
               {{}, 0x000011}};
  for (const auto& cell : cells) EXPECT_EQ(painter->GetModernCalendarCellTextColor(cell.states), cell.color);

  // An unselected item of a drop-down list reads the normal text colour, a selected one the hot one.
  EXPECT_EQ(painter->DropDownListBoxItemTextColor(false), 0x000044);
  EXPECT_EQ(painter->DropDownListBoxItemTextColor(true), 0x000055);
}

TEST_F(SkinPainterTest, SchedulerResourceColoursRepeatEveryTwelve) {
  auto painter = MakeSkinPainter();
  TdxSkinControlGroup* scheduler = painter->GetSkinInfo()->Skin()->GetGroupByName(u"Scheduler");
  scheduler->AddPropertyColor(u"ResourceColor01", 0x000001);
  scheduler->AddPropertyColor(u"ResourceColor02", 0x000002);
  painter->GetSkinInfo()->SkinChanged();
  EXPECT_EQ(painter->DefaultSchedulerContentColor(1), 0x000002);
  EXPECT_EQ(painter->DefaultSchedulerContentColor(13), 0x000002);
  EXPECT_EQ(painter->DefaultSchedulerContentColor(-1), 0x000001);
}

TEST_F(SkinPainterTest, SchedulerNavigationButtonsTakeTheirSizesFromTheSkinAndLieDownWhenVertical) {
  auto painter = MakeSkinPainter();
  Info* info = painter->GetSkinInfo();
  TRecordingSkinElement* button = Fake(u"NavButtonNext");
  TRecordingSkinElement* arrow = Fake(u"NavButtonNextArrow");
  info->SchedulerNavigationButtons[1] = button;
  info->SchedulerNavigationButtonsArrow[1] = arrow;
  button->ContentOffset()->SetRect(TRect{1, 2, 3, 4});
  button->MinSize()->SetSize(TSize{30, 8});
  arrow->MinSize()->SetSize(TSize{10, 20});

  TdxScaleFactor oneAndHalf;
  oneAndHalf.Assign(3, 2, false);
  TRect borders{};
  TSize arrowSize{};
  bool hasText = true;
  painter->SchedulerNavigationButtonSizes(true, borders, arrowSize, hasText, &oneAndHalf, true);
  EXPECT_EQ(arrowSize, (TSize{30, 15}));
  EXPECT_EQ(borders, cxRectRotate(oneAndHalf.Apply(TRect{1, 2, 3, 4})));
  EXPECT_FALSE(hasText);  // neither a picture nor a colour

  // A next button narrower than the skin's minimum (30) grows leftwards from its right edge
  // (30..60); the collapsed button, three arrow lengths and its borders (34), is then centred there.
  TRect bounds{50, 0, 60, 20}, text{}, arrowRect{};
  painter->CalculateSchedulerNavigationButtonRects(true, true, 0, 0, bounds, text, arrowRect, Scale(), false);
  EXPECT_EQ(bounds, (TRect{28, 0, 62, 20}));

  // Horizontal: the button reaches one pixel past its outer (right) side, the arrow sits in its rect.
  PainterProbe probe(40, 20);
  painter->DrawSchedulerNavigationButtonContent(probe.Canvas(), TRect{0, 0, 20, 40 / 2}, TRect{8, 4, 16, 12},
                                                true, cxbsHot, false);
  ASSERT_EQ(log_.size(), 2u);
  EXPECT_EQ(log_[0].element, "NavButtonNext");
  EXPECT_EQ(log_[0].rect, (TRect{0, 0, 21, 20}));
  EXPECT_EQ(log_[0].state, esHot);
  EXPECT_EQ(log_[1].rect, (TRect{8, 4, 16, 12}));

  // Vertical: composed lying down (the bottom of the button becomes its right end), then turned.
  log_.clear();
  PainterProbe tall(20, 40);
  painter->DrawSchedulerNavigationButtonContent(tall.Canvas(), TRect{0, 0, 20, 40}, TRect{5, 25, 15, 35},
                                                true, cxbsNormal, true);
  ASSERT_EQ(log_.size(), 2u);
  EXPECT_EQ(log_[0].rect, (TRect{0, 0, 41, 20}));
  EXPECT_EQ(log_[1].rect, (TRect{25, 5, 35, 15}));

  EXPECT_EQ(painter->SchedulerNavigationButtonTextColor(true, cxbsNormal, clLime), clLime);
}

TEST_F(SkinPainterTest, SchedulerEventProgressAndYearViewColours) {
  auto painter = MakeSkinPainter();
  Info* info = painter->GetSkinInfo();
  TdxSkinControlGroup* scheduler = info->Skin()->GetGroupByName(u"Scheduler");
  scheduler->AddPropertyColor(u"ResourceColor01", RGB(100, 200, 50));
  info->SkinChanged();
  EXPECT_EQ(painter->DefaultSchedulerYearViewUnusedContentColor(false),
            dxGetDarkerColor(RGB(100, 200, 50), 80));
  EXPECT_EQ(painter->DefaultSchedulerYearViewUnusedContentColor(true),
            dxGetDarkerColor(RGB(100, 200, 50), 85));

  TRecordingSkinElement* border = Fake(u"ProgressBorder");
  TRecordingSkinElement* chunk = Fake(u"ProgressChunk");
  info->ProgressBarElements[0] = border;
  info->ProgressBarElements[2] = chunk;
  border->ContentOffset()->SetRect(TRect{2, 2, 2, 2});
  PainterProbe probe(40, 10);
  painter->DrawSchedulerEventProgress(probe.Canvas(), TRect{0, 0, 40, 10}, TRect{2, 2, 20, 8},
                                      TcxViewParams{}, false);
  ASSERT_EQ(log_.size(), 2u);
  EXPECT_EQ(log_[0].element, "ProgressBorder");
  EXPECT_EQ(log_[0].rect, (TRect{0, 0, 40, 10}));
  EXPECT_EQ(log_[1].element, "ProgressChunk");
  EXPECT_EQ(log_[1].rect, (TRect{2, 2, 20, 8}));
  EXPECT_EQ(painter->SchedulerEventProgressOffsets(), (TRect{2, 2, 2, 2}));
}

TEST_F(SkinPainterTest, FooterPanelsSpreadPastTheirBordersAndPicturesFallBack) {
  auto painter = MakeSkinPainter();
  TRecordingSkinElement* panel = Fake(u"FooterPanel");
  painter->GetSkinInfo()->FooterPanel = panel;
  PainterProbe probe(40, 20);
  const int32_t grow = painter->FooterBorderSize();
  painter->DrawFooterContent(probe.Canvas(), TRect{4, 4, 36, 16}, TcxViewParams{});
  ASSERT_EQ(log_.size(), 1u);
  EXPECT_EQ(log_[0].rect, cxRectInflate(TRect{4, 4, 36, 16}, grow));

  // A background picture in the view parameters is drawn by the ancestor instead.
  log_.clear();
  TBitmap picture;
  picture.SetSize(4, 4);
  TcxViewParams params;
  params.Bitmap = &picture;
  painter->DrawFooterContent(probe.Canvas(), TRect{4, 4, 36, 16}, params);
  EXPECT_TRUE(log_.empty());
}

TEST_F(SkinPainterTest, MapGalleryAndPdfValuesComeFromTheResolvedSkin) {
  auto painter = MakeSkinPainter();
  Info* info = painter->GetSkinInfo();
  for (int i = 0; i < 5; ++i) {
    info->MapControlShapeColor[i] = 0x10000000u + i;
    info->MapControlShapeBorderColor[i] = 0x20000000u + i;
    info->MapControlShapeBorderWidth[i] = i;
  }
  EXPECT_EQ(painter->MapControlShapeColor(), 0x10000001u);
  EXPECT_EQ(painter->MapControlShapeHighlightedColor(), 0x10000002u);
  EXPECT_EQ(painter->MapControlShapeSelectedColor(), 0x10000003u);
  EXPECT_EQ(painter->MapControlShapeBorderSelectedColor(), 0x20000003u);
  TdxScaleFactor twice;
  twice.Assign(2, 1, false);
  EXPECT_EQ(painter->MapControlShapeBorderHighlightedWidth(&twice), 4);

  TRecordingSkinElement* item = Fake(u"GalleryItem");
  info->GalleryItem = item;
  item->AddPropertyColor(u"TextColorHot", 0x000011);
  item->AddPropertyColor(u"DescriptionTextColorHot", 0x000022);
  EXPECT_EQ(painter->GetGalleryItemCaptionTextColor(cxbsHot), 0x000011);
  EXPECT_EQ(painter->GetGalleryItemDescriptionTextColor(cxbsHot), 0x000022);

  // The overlap value where the skin has it; the inherited point otherwise.
  const TPoint inherited = painter->PDFViewerNavigationPaneButtonOverlay(Scale());
  info->Skin()
      ->GetGroupByName(u"PDFViewer")
      ->AddPropertyInteger(u"NavigationPaneSelectedPageOverlapValue", 7);
  info->SkinChanged();
  EXPECT_EQ(painter->PDFViewerNavigationPaneButtonOverlay(Scale()), (TPoint{7, inherited.Y}));
}

TEST_F(SkinPainterTest, ClocksComposeFaceHandsAndGlassAndRangeControlColoursMayBeMissing) {
  auto painter = MakeSkinPainter();
  Info* info = painter->GetSkinInfo();
  TRecordingSkinElement* face = Fake(u"ClockFace");
  TRecordingSkinElement* glass = Fake(u"ClockGlass");
  info->ClockElements[0] = face;
  info->ClockElements[1] = glass;
  PainterProbe probe(32, 32);
  painter->DrawScaledClock(probe.Canvas(), TRect{4, 4, 28, 28}, 0.25, clNone, Scale());
  ASSERT_EQ(log_.size(), 2u);
  EXPECT_EQ(log_[0].element, "ClockFace");
  EXPECT_EQ(log_[1].element, "ClockGlass");
  // Composed in a bitmap of the rectangle's size.
  EXPECT_EQ(log_[0].rect, (TRect{0, 0, 24, 24}));

  // The default alpha colour stands for a colour the skin lacks.
  TcxOffice11LookAndFeelPainter office11;
  info->RangeControlBackColor = TdxAlphaColorsDefault;
  info->RangeControlRuleColor = TdxAlphaColorsDefault;
  EXPECT_EQ(painter->GetRangeControlBackColor(), office11.GetRangeControlBackColor());
  EXPECT_EQ(painter->GetRangeControlRulerColor(), office11.GetRangeControlRulerColor());
  info->RangeControlBackColor = dxColorToAlphaColor(RGB(1, 2, 3), 128);
  info->RangeControlRuleColor = 0x80102030;
  EXPECT_EQ(painter->GetRangeControlBackColor(), RGB(1, 2, 3));
  EXPECT_EQ(painter->GetRangeControlRulerColor(), 0x80102030u);
}

TEST_F(SkinPainterTest, LayoutViewItemsShowOnlyTheirRequestedBordersAndCaptionsReadTheTopCaption) {
  auto painter = MakeSkinPainter();
  TRecordingSkinElement* item = Fake(u"LayoutViewItem");
  item->Image()->Margins()->SetMargin(TRect{2, 3, 4, 5});
  painter->GetSkinInfo()->LayoutViewItem = item;
  PainterProbe probe(40, 20);
  painter->LayoutViewDrawItem(probe.Canvas(), TRect{10, 5, 30, 15}, cxbsNormal, TcxBorders{bBottom});
  ASSERT_EQ(log_.size(), 1u);
  EXPECT_EQ(log_[0].rect, (TRect{8, 2, 34, 15}));

  TdxSkinElement* top = painter->GetSkinInfo()->LayoutViewRecordCaptionElements[cxgpTop];
  top->AddPropertyColor(u"TextColorHot", 0x0000CC);
  EXPECT_EQ(painter->DefaultLayoutViewCaptionTextColor(cxgpLeft, cxbsHot), 0x0000CC);
  top->SetTextColor(clDefault);
  EXPECT_EQ(painter->DefaultLayoutViewCaptionTextColor(cxgpLeft, cxbsNormal),
            painter->DefaultContentTextColor());
}

TEST_F(SkinPainterTest, ABorderColourOfClDefaultFallsBackInsteadOfFramingInTheCanvasColour) {
  auto painter = MakeSkinPainter();
  TdxSkin* skin = painter->GetSkinInfo()->Skin();
  TdxSkinColor* border = skin->AddColor(u"ContainerBorderColor", clDefault);
  ASSERT_NE(border, nullptr);
  painter->GetSkinInfo()->SkinChanged();
  TcxOffice11LookAndFeelPainter office11;
  PainterProbe skinned(6, 4), reference(6, 4);
  painter->DrawBorder(skinned.Canvas(), skinned.Bounds());
  office11.DrawBorder(reference.Canvas(), reference.Bounds());
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(skinned.Rgb(x, y), reference.Rgb(x, y)) << x << "," << y;

  border->SetValue(clRed);
  PainterProbe framed(6, 4);
  painter->DrawBorder(framed.Canvas(), framed.Bounds());
  EXPECT_TRUE(framed.Matches({"######", "#....#", "#....#", "######"}, clRed));
}

TEST_F(SkinPainterTest, AWrongClassUnderAColourNameCountsAsMissing) {
  auto painter = MakeSkinPainter();
  TdxSkinElement* button = painter->GetSkinInfo()->EditButtonElements[0];
  button->AddPropertyInteger(u"DisabledText", 5);
  button->SetTextColor(clRed);
  // The ellipsis dots take the button's text colour instead of failing on every paint.
  PainterProbe probe(16, 8);
  painter->DrawScaledEditorButtonGlyph(probe.Canvas(), probe.Bounds(), cxbkEllipsisBtn, cxbsDisabled,
                                       Scale());
  EXPECT_TRUE(probe.Matches({"................", "................", "................", "...##..##..##...",
                             "...##..##..##...", "................", "................", "................"},
                            clRed));
}

TEST(SkinElementMakeDisable, GreysEachPixelFromAlphaAndTheThreeChannels) {
  struct {
    uint32_t in, out;  // 0xAARRGGBB
  } cases[] = {{0xFF000000, 0xFF666666},
               {0xFFFFFFFF, 0xFFFFFFFF},
               {0x00000000, 0x00000000},
               {0x80808080, 0x80808080},
               {0xFF0000FF, 0xFF999999}};
  TcxBitmap32 bitmap(static_cast<int32_t>(std::size(cases)), 1);
  TRGBColors colors(std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) std::memcpy(&colors[i], &cases[i].in, 4);
  bitmap.SetBitmapColors(colors);
  dxSkinElementMakeDisable(&bitmap);
  bitmap.GetBitmapColors(colors);
  for (size_t i = 0; i < std::size(cases); ++i) {
    uint32_t px = 0;
    std::memcpy(&px, &colors[i], 4);
    EXPECT_EQ(px, cases[i].out) << std::hex << cases[i].in;
  }
}

TEST_F(SkinPainterTest, AMissingResourceRaisesOnceThenPaintsLikeOffice11) {
  TdxSkinLookAndFeelPainter painter(u"NoSuchSkin", nullptr);
  TcxOffice11LookAndFeelPainter office11;
  PainterProbe first(20, 12);
  EXPECT_ANY_THROW(painter.DrawScaledButton(first.Canvas(), first.Bounds(), String(), cxbsNormal, Scale()));
  PainterProbe skinned(20, 12), reference(20, 12);
  EXPECT_NO_THROW(
      painter.DrawScaledButton(skinned.Canvas(), skinned.Bounds(), String(), cxbsNormal, Scale()));
  office11.DrawScaledButton(reference.Canvas(), reference.Bounds(), String(), cxbsNormal, Scale());
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(skinned.Rgb(x, y), reference.Rgb(x, y)) << x << "," << y;
  EXPECT_EQ(painter.GetSkinInfo()->Skin(), nullptr);
  EXPECT_ANY_THROW(painter.CreateLookAndFeelPainterDetails());
}

TEST_F(SkinPainterTest, APainterWithoutAResourceNameNeverLoads) {
  TdxSkinLookAndFeelPainter painter(String(), nullptr);
  EXPECT_EQ(painter.CreateLookAndFeelPainterDetails(), nullptr);
  EXPECT_EQ(painter.LookAndFeelName(), String());
  EXPECT_EQ(painter.GetSkinInfo()->Skin(), nullptr);
  TObject* data = nullptr;
  EXPECT_TRUE(painter.GetPainterData(data));
  EXPECT_EQ(data, painter.GetSkinInfo());
}

// ---- The default painter -----------------------------------------------------------------------

class DefaultSkinPainterTest : public SkinPainterTest {
 protected:
  TcxCustomLookAndFeelPainter* UserSkin() { return cxLookAndFeelPaintersManager()->GetPainter(u"UserSkin"); }
};

TEST_F(DefaultSkinPainterTest, StartUpRegistersItSortedByNameAndShutDownRemovesIt) {
  dxSkinsDefaultPainters::Initialize();
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  auto* painter = dynamic_cast<TdxSkinsUserSkinPainter*>(UserSkin());
  ASSERT_NE(painter, nullptr);
  EXPECT_TRUE(painter->IsInternalPainter());
  EXPECT_FALSE(TcxOffice11LookAndFeelPainter().IsInternalPainter());
  for (int i = 1; i < manager->Count(); ++i)
    EXPECT_LT(manager->Items(i - 1)->LookAndFeelName(), manager->Items(i)->LookAndFeelName());

  // A second default painter is refused; the first stays.
  dxSkinsDefaultPainters::RegisterPainters();
  EXPECT_EQ(UserSkin(), painter);

  // The details come from the stored header alone; the name never needs the skin.
  TdxSkinDetails* details = nullptr;
  ASSERT_TRUE(painter->GetPainterDetails(details));
  EXPECT_EQ(details->Name(), u"defaultuserskindata");
  EXPECT_EQ(details->DisplayName(), u"UserSkin");
  EXPECT_EQ(painter->LookAndFeelName(), u"UserSkin");
  EXPECT_NE(painter->GetSkinInfo()->Skin(), nullptr);
  EXPECT_EQ(painter->LookAndFeelName(), u"UserSkin");
  EXPECT_EQ(painter->GetSkinDetails(), painter->GetSkinInfo()->Skin()->Details());

  dxSkinsDefaultPainters::Finalize();
  EXPECT_EQ(UserSkin(), nullptr);
  // Nothing is left to remove.
  EXPECT_NO_FATAL_FAILURE(dxSkinsDefaultPainters::UnregisterPainters());
}

TEST_F(DefaultSkinPainterTest, TheStoredSkinResolvesWithOnlyTheTwoStatedGaps) {
  TdxSkinsUserSkinPainter painter(sdxDefaultUserSkinData, nullptr);
  TdxSkinLookAndFeelPainterInfo* info = painter.GetSkinInfo();
  ASSERT_NE(dynamic_cast<TdxSkinUserLookAndFeelPainterInfo*>(info), nullptr);
  TdxSkin* skin = info->Skin();
  ASSERT_NE(skin, nullptr);
  std::vector<std::string> blanks;
  for (int g = 0; g < skin->GroupCount(); ++g)
    for (int e = 0; e < skin->Groups(g)->Count(); ++e)
      if (skin->Groups(g)->Elements(e)->State().Contains(sosUnassigned))
        blanks.push_back(StringToUtf8(skin->Groups(g)->Name() + u"/" + skin->Groups(g)->Elements(e)->Name()));
  EXPECT_EQ(blanks, std::vector<std::string>{"Bars/MainMenuVertical"});
  EXPECT_EQ(info->RibbonFormCaptionRibbonHidden, nullptr);
  for (auto* padding : info->GroupBoxCaptionTextPadding) EXPECT_EQ(padding, nullptr);
  // The frame counts the painter indexes.
  EXPECT_GE(info->CheckboxElement->ImageCount(), 3);
  EXPECT_GE(info->ExpandButton->ImageCount(), 2);
  EXPECT_GE(info->Splitter[1]->ImageCount(), 3);
  EXPECT_GE(info->TrackBarTrack[1]->ImageCount(), 4);
  EXPECT_GT(painter.LabelLineHeight(), 0);
}

TEST_F(DefaultSkinPainterTest, AChangedSkinIsResolvedAgainAndTheRootRepaints) {
  cxLookAndFeels::Initialize();
  int refreshes = 0;
  struct Listener : public TObject, public IcxLookAndFeelNotificationListener {
    int* count;
    explicit Listener(int* c) : count(c) {}
    TObject* GetObject() override { return this; }
    void MasterLookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) override { ++*count; }
    void MasterLookAndFeelDestroying(TcxLookAndFeel*) override {}
  } listener(&refreshes);
  RootLookAndFeel()->AddChangeListener(&listener);
  {
    TdxSkinsUserSkinPainter painter(sdxDefaultUserSkinData, nullptr);
    TdxSkinLookAndFeelPainterInfo* info = painter.GetSkinInfo();
    TdxSkin* skin = info->Skin();
    refreshes = 0;
    skin->GetGroupByName(u"Common")->AddElement(u"Checkbox2");
    skin->DeleteGroup(skin->GetGroupByName(u"Editors"));
    EXPECT_GE(refreshes, 1);
    ASSERT_NE(info->CheckboxElement, nullptr);
    EXPECT_TRUE(info->CheckboxElement->State().Contains(sosUnassigned))
        << "resolved against the changed skin";
  }
  RootLookAndFeel()->RemoveChangeListener(&listener);
  cxLookAndFeels::Finalize();
}

}  // namespace
}  // namespace qd
