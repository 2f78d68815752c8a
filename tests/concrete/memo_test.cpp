#include <gtest/gtest.h>

#include <cstdlib>

#include "editors/edit_test_util.h"
#include "platform/classes/filer.h"
#include "platform/os/gdi.h"
#include "platform/os/user.h"
#include "platform/os/user_edit.h"
#include "ui/controls/cxControlScrollBars.h"
#include "ui/editors/concrete/cxMemo.h"

namespace qd::testing {
namespace {

class MemoTest : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    cxMemo::Initialize();
    form = NewPlainForm(320, 200);
    memo = new TcxMemo(form);
    memo->SetParent(form);
    memo->Style()->LookAndFeel()->SetKind(lfUltraFlat);
    memo->Style()->LookAndFeel()->SetNativeStyle(false);
  }
  void TearDown() override {
    forms::Finalize();
    forms::Initialize();
    cxMemo::Finalize();
    EditTest::TearDown();
  }
  void ShowForm() {
    form->Show();
    Application->ProcessMessages();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  String InnerText() { return memo->InnerMemo()->GetControl()->Caption(); }

  TForm* form = nullptr;
  TcxMemo* memo = nullptr;
};

TEST(CorrectLineBreaks, RewritesEveryLineFeedCarriageReturnPair) {
  const struct {
    String in;
    String out;
  } cases[] = {
      {u"", u""},
      {u"abc", u"abc"},
      {u"a\n\rb", u"a\r\n\r\nb"},
      {u"a\r\nb", u"a\r\nb"},
      {u"a\nb", u"a\nb"},
      {u"a\rb", u"a\rb"},
      // A CR LF pair is one unit: the LF inside it does not pair with the next CR.
      {u"a\r\n\rb", u"a\r\n\rb"},
      {u"\n\r", u"\r\n\r\n"},
      {u"x\n\ry\n\rz\n\r", u"x\r\n\r\ny\r\n\r\nz\r\n\r\n"},
      {u"1\n\r2\r\n3\n\r4", u"1\r\n\r\n2\r\n3\r\n\r\n4"},
      {u"end\n", u"end\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(CorrectLineBreaks(c.in), c.out) << StringToUtf8(c.in);
}

TEST_F(MemoTest, LinesAddOnAHiddenMemoAppendsAndTheEditValueFollows) {
  memo->SetVisible(false);
  ShowForm();
  memo->Lines()->Add(u"CNPJ: 123");
  memo->Lines()->Add(u"NomeEXE: Torvelix");
  memo->Lines()->Add(u"Origem: /tmp/temp/");
  ASSERT_EQ(memo->Lines()->Count(), 3);
  EXPECT_EQ(memo->Lines()->Get(1), u"NomeEXE: Torvelix");
  // Each added line ends with a line break; the final empty line is not counted.
  EXPECT_EQ(InnerText(), u"CNPJ: 123\r\nNomeEXE: Torvelix\r\nOrigem: /tmp/temp/\r\n");
  EXPECT_EQ(VarToStr(memo->EditValue()), InnerText());
  EXPECT_FALSE(memo->IsFocused());
}

TEST_F(MemoTest, LinesAddBeforeTheFormIsShownIsKept) {
  // The updater's log may be written before its window has a handle.
  memo->Lines()->Add(u"one");
  memo->Lines()->Add(u"two");
  ShowForm();
  EXPECT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(VarToStr(memo->EditValue()), u"one\r\ntwo\r\n");
}

TEST_F(MemoTest, InsertedTextHasItsLineBreaksCorrected) {
  ShowForm();
  memo->Lines()->Add(u"a\n\rb");
  EXPECT_EQ(InnerText(), u"a\r\n\r\nb\r\n");
  EXPECT_EQ(VarToStr(memo->EditValue()), u"a\r\n\r\nb\r\n");
  EXPECT_EQ(memo->Lines()->Count(), 3);
}

TEST_F(MemoTest, SettingTheEditValueFillsTheLines) {
  ShowForm();
  memo->SetEditValue(Variant(String(u"x\r\ny\r\nz")));
  EXPECT_EQ(memo->Lines()->Count(), 3);
  EXPECT_EQ(memo->Lines()->Get(2), u"z");
}

TEST_F(MemoTest, SelTextInsertsOnlyWhatFitsMaxLength) {
  ShowForm();
  memo->Properties()->SetMaxLength(8);
  memo->SetEditValue(Variant(String(u"abcde")));
  memo->SetFocus();
  Application->ProcessMessages();
  ASSERT_TRUE(memo->Focused());
  const struct {
    int selStart;
    String text;
    String expected;
  } cases[] = {
      {5, u"XYZW", u"abcdeXYZ"},  // three fit
      {8, u"Q", u"abcdeXYZ"},     // nothing fits: nothing changes
      {0, u"12345678", u"12345678"},
  };
  for (const auto& c : cases) {
    memo->SetSelStart(c.selStart);
    memo->SetSelLength(c.selStart == 0 ? 8 : 0);
    memo->SetSelText(c.text);
    EXPECT_EQ(VarToStr(memo->EditValue()), c.expected) << StringToUtf8(c.text);
  }
}

TEST_F(MemoTest, TheMaxLengthCutDoesNotSplitACharacter) {
  ShowForm();
  memo->Properties()->SetMaxLength(4);
  memo->SetEditValue(Variant(String(u"abc")));
  memo->SetFocus();
  Application->ProcessMessages();
  memo->SetSelStart(3);
  memo->SetSelLength(0);
  // U+1F600 takes two code units; only one would fit.
  memo->SetSelText(u"\U0001F600");
  EXPECT_EQ(VarToStr(memo->EditValue()), u"abc");
}

TEST_F(MemoTest, DisplayTextIsTheFirstLineAtMost250Characters) {
  TcxCustomMemoProperties* p = memo->Properties();
  const String longLine(300, u'x');
  EXPECT_EQ(p->GetDisplayText(Variant(longLine)), String(250, u'x'));
  EXPECT_EQ(p->GetDisplayText(Variant(String(u"x\r\ny"))), u"x");
  EXPECT_EQ(p->GetDisplayText(Variant(String(u"x\r\ny")), true), u"x\r\ny");
  // A surrogate pair at the cut is dropped whole.
  String pair = String(249, u'a') + u"\U0001F600";
  EXPECT_EQ(p->GetDisplayText(Variant(pair)), String(249, u'a'));
}

TEST_F(MemoTest, VisibleLineCountIsNeverNegativeAndSetsTheMinimumHeight) {
  TcxCustomMemoProperties* p = memo->Properties();
  p->SetVisibleLineCount(-3);
  EXPECT_EQ(p->VisibleLineCount(), 0);
  EXPECT_FALSE(memo->CanAutoSize());

  p->SetVisibleLineCount(4);
  EXPECT_TRUE(memo->CanAutoSize());
  ShowForm();
  TcxScreenCanvas* canvas = cxScreenCanvas();
  canvas->Font()->Assign(memo->Style()->GetVisibleFont());
  const int lineHeight = canvas->TextHeight(u"Zg");
  canvas->Dormant();
  std::unique_ptr<TcxCustomEditViewData> data(memo->CreateViewData());
  TSize minContent{};
  TcxEditSizeProperties size;
  size.Width = -1;
  TcxScreenCanvas* c = cxScreenCanvas();
  data->InternalGetEditConstantPartSize(c, false, size, minContent, memo->ViewInfo());
  c->Dormant();
  EXPECT_EQ(minContent.cy, 4 * lineHeight + 4);
}

TEST_F(MemoTest, PropertiesReachTheInnerMemo) {
  ShowForm();
  TcxCustomMemoProperties* p = memo->Properties();
  p->SetScrollBars(ssVertical);
  p->SetWordWrap(false);
  p->SetWantTabs(true);
  IcxInnerMemo* inner = memo->InnerMemo();
  EXPECT_EQ(inner->GetScrollBars(), ssVertical);
  EXPECT_FALSE(inner->GetWordWrap());
  EXPECT_TRUE(inner->GetWantTabs());
  const LONG_PTR style = GetWindowLongPtrW(inner->GetControl()->Handle(), GWL_STYLE);
  EXPECT_NE(style & WS_VSCROLL, 0);
  EXPECT_NE(style & ES_MULTILINE, 0);
}

TEST_F(MemoTest, CaretPositionIsColumnAndLine) {
  ShowForm();
  memo->SetEditValue(Variant(String(u"first\r\nsecond\r\nthird")));
  memo->SetCaretPos(TPoint{3, 1});
  EXPECT_EQ(memo->SelStart(), 7 + 3);
  EXPECT_EQ(memo->CaretPos().X, 3);
  EXPECT_EQ(memo->CaretPos().Y, 1);
}

TEST_F(MemoTest, ClearSelectionUpdatesTheEditValue) {
  ShowForm();
  memo->SetEditValue(Variant(String(u"abc\r\ndef")));
  memo->SetSelStart(1);
  memo->SetSelLength(4);
  memo->ClearSelection();
  EXPECT_EQ(VarToStr(memo->EditValue()), u"adef");
}

TEST_F(MemoTest, ManyLinesShowTheLibrarysVerticalScrollBar) {
  memo->SetBounds(10, 10, 160, 80);
  memo->Properties()->SetScrollBars(ssVertical);
  memo->Style()->LookAndFeel()->SetScrollbarMode(sbmClassic);
  ShowForm();
  for (int i = 0; i < 30; ++i) memo->Lines()->Add(u"line " + IntToStr(i));
  Application->ProcessMessages();
  ASSERT_TRUE(memo->VScrollBar() != nullptr);
  EXPECT_TRUE(memo->VScrollBar()->Visible());
  // The inner memo keeps its system bar's style bit; the library draws the bar instead.
  EXPECT_NE(GetWindowLongPtrW(memo->InnerMemo()->GetControl()->Handle(), GWL_STYLE) & WS_VSCROLL, 0);
}

// A visible memo with more lines than fit: the library's bars lie over the inner memo's
// non-client area and are drawn as the painter draws a bar of the same state, the text
// area stays white.
TEST_F(MemoTest, AVisibleMemoShowsTheLibrarysBarsOverAWhiteTextArea) {
  const struct {
    TScrollStyle bars;
    bool wordWrap;
  } cases[] = {{ssVertical, true}, {ssBoth, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bars == ssVertical ? "vertical" : "both");
    memo->SetBounds(10, 10, 160, 80);
    memo->Properties()->SetScrollBars(c.bars);
    memo->Properties()->SetWordWrap(c.wordWrap);
    memo->Style()->LookAndFeel()->SetScrollbarMode(sbmClassic);
    memo->SetEditValue(Variant(String()));
    ShowForm();
    // The long line scrolls out of view at the top.
    if (!c.wordWrap) memo->Lines()->Add(u"a line far too long for the memo, so that it scrolls sideways");
    for (int i = 0; i < 30; ++i) memo->Lines()->Add(u"line " + IntToStr(i));
    Application->ProcessMessages();

    // The same bars drawn on their own beside the memo, an even number of pixels away so
    // that the page areas' dither lines up.
    std::vector<std::pair<TcxScrollBar*, TcxScrollBar*>> bars;
    for (TcxScrollBar* bar :
         {static_cast<TcxScrollBar*>(memo->VScrollBar()), static_cast<TcxScrollBar*>(memo->HScrollBar())}) {
      if (!bar->Visible()) continue;
      const TPoint at = form->ScreenToClient(bar->ClientToScreen(TPoint{0, 0}));
      auto* reference = new TcxScrollBar(form);
      reference->SetParent(form);
      reference->LookAndFeel()->SetKind(lfUltraFlat);
      reference->LookAndFeel()->SetNativeStyle(false);
      reference->SetKind(bar->Kind());
      if (bar->Kind() == sbVertical)
        reference->SetBounds(at.X + 40, at.Y, bar->Width(), bar->Height());
      else
        reference->SetBounds(at.X, at.Y + 60, bar->Width(), bar->Height());
      reference->SetScrollParams(bar->Min(), bar->Max(), bar->Position(), bar->PageSize());
      bars.emplace_back(bar, reference);
    }
    ASSERT_EQ(bars.size(), c.bars == ssBoth ? 2u : 1u);
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (std::getenv("QD_MEMO_PNG"))
      SaveWindowPng(form->Handle(), c.bars == ssVertical ? "memo_bar_v" : "memo_bars");
    const os::WindowPixels px = os::ReadWindowPixels(form->Handle(), true);

    for (auto [bar, reference] : bars) {
      const TPoint at = form->ScreenToClient(bar->ClientToScreen(TPoint{0, 0}));
      int differing = 0, black = 0;
      for (int y = 0; y < bar->Height(); ++y)
        for (int x = 0; x < bar->Width(); ++x) {
          const uint32_t got = px.At(at.X + x, at.Y + y) & 0xFFFFFF;
          if (got != (px.At(reference->Left() + x, reference->Top() + y) & 0xFFFFFF)) ++differing;
          if (got == 0) ++black;
        }
      EXPECT_EQ(differing, 0) << "bar at " << at.X << "," << at.Y;
      // Frame lines may be black, the unpainted area was black throughout.
      EXPECT_LT(black, bar->Width() * bar->Height() / 3);
    }

    // Right of the short lines the text area is white down to the horizontal bar.
    TWinControl* inner = memo->InnerMemo()->GetControl();
    const TPoint innerAt = form->ScreenToClient(inner->ClientToScreen(TPoint{0, 0}));
    const TPoint vbarAt = form->ScreenToClient(memo->VScrollBar()->ClientToScreen(TPoint{0, 0}));
    const int bottom = c.bars == ssBoth
                           ? form->ScreenToClient(memo->HScrollBar()->ClientToScreen(TPoint{0, 0})).Y
                           : memo->Top() + memo->Height() - 2;
    int notWhite = 0;
    for (int y = innerAt.Y; y < bottom; ++y)
      for (int x = innerAt.X + 60; x < vbarAt.X; ++x)
        if ((px.At(x, y) & 0xFFFFFF) != 0xFFFFFF) ++notWhite;
    EXPECT_EQ(notWhite, 0);

    if (c.bars == ssBoth) {
      // The corner between the two bars is the painter's size-grip colour.
      const COLORREF grip = ColorToRGB(memo->Style()->LookAndFeel()->Painter()->DefaultSizeGripAreaColor());
      const uint32_t rgb = (GetRValue(grip) << 16) | (GetGValue(grip) << 8) | GetBValue(grip);
      const int cornerX = vbarAt.X + memo->VScrollBar()->Width() / 2;
      const int cornerY = bottom + memo->HScrollBar()->Height() / 2;
      EXPECT_EQ(px.At(cornerX, cornerY) & 0xFFFFFF, rgb);
    }
    for (auto [bar, reference] : bars) delete reference;
  }
}

TEST_F(MemoTest, AStoredFormCreatesAHiddenLogMemo) {
  TForm* stored = CreateNewForm<TForm>(Application);
  ReadComponentFromText(
      u"object Stored: TForm\n"
      u"  object mlog: TcxMemo\n"
      u"    Left = 0\n"
      u"    Top = 90\n"
      u"    Align = alBottom\n"
      u"    ParentFont = False\n"
      u"    Properties.ScrollBars = ssVertical\n"
      u"    Font.Height = -11\n"
      u"    Font.Name = 'Lucida Sans'\n"
      u"    TabOrder = 0\n"
      u"    Visible = False\n"
      u"    Height = 200\n"
      u"    Width = 556\n"
      u"  end\n"
      u"end\n",
      stored);
  auto* read = dynamic_cast<TcxMemo*>(stored->FindComponent(u"mlog"));
  ASSERT_NE(read, nullptr);
  EXPECT_FALSE(read->Visible());
  EXPECT_EQ(read->Properties()->ScrollBars(), ssVertical);
  EXPECT_EQ(read->Style()->Font()->Name(), u"Lucida Sans");
  read->Lines()->Add(u"log");
  EXPECT_EQ(VarToStr(read->EditValue()), u"log\r\n");
  delete stored;
}

TEST_F(MemoTest, RegisteredAsTheMemoEditor) {
  TcxRegisteredClasses* registered = GetRegisteredEditProperties();
  bool found = false;
  for (int i = 0; i < registered->Count(); ++i)
    if (registered->Items(i) == TcxMemoProperties::StaticClass()) found = true;
  EXPECT_TRUE(found);
  EXPECT_EQ(GetClass("TcxMemo"), TcxMemo::StaticClass());
}

TEST_F(MemoTest, FilterRowsOfferTextPatternsAndBlanksOnly) {
  // Registered for the custom properties, so found for every memo properties class.
  TcxFilterEditHelperClass helper = FilterEditsController()->FindHelper(TcxMemoProperties::StaticClass());
  ASSERT_EQ(helper, TcxFilterMemoHelper::Class());
  EXPECT_EQ(helper->GetFilterEditClass(), TcxTextEdit::StaticClass());
  const TcxFilterControlOperators expected{fcoLike,       fcoNotLike,  fcoContains, fcoNotContains,
                                           fcoBeginsWith, fcoEndsWith, fcoBlanks,   fcoNonBlanks};
  for (bool extended : {false, true}) {
    const TcxFilterControlOperators got =
        helper->GetSupportedFilterOperators(memo->Properties(), nullptr, extended);
    EXPECT_TRUE(got == expected) << "extended " << extended;
    EXPECT_FALSE(got.Contains(fcoEqual));
  }
  // Shut-down removes the registration; start-up brings it back.
  cxMemo::Finalize();
  EXPECT_TRUE(!FilterEditsControllerAssigned() ||
              FilterEditsController()->FindHelper(TcxMemoProperties::StaticClass()) == nullptr);
  cxMemo::Initialize();
  EXPECT_EQ(FilterEditsController()->FindHelper(TcxMemoProperties::StaticClass()),
            TcxFilterMemoHelper::Class());
}

}  // namespace
}  // namespace qd::testing
