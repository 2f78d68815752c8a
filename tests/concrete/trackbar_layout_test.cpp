// The track bar's settings, its layout (positions to pixels, the zone, track and thumb, tick
// bands, vertical and right-to-left bars), its tick lists and its painting.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "concrete/trackbar_test_util.h"
#include "platform/classes/filer.h"

namespace qd::testing {
namespace {

using TrackBarSettings = TrackBarTest;
using TrackBarLayout = TrackBarTest;
using TrackBarPaint = TrackBarTest;

TEST_F(TrackBarSettings, SettersKeepTheirBoundsAndMinMaxPushEachOther) {
  Props()->SetMax(3);
  Props()->SetMin(8);
  EXPECT_EQ(Props()->Max(), 8) << "a Min above Max raises Max";
  Props()->SetMax(-2);
  EXPECT_EQ(Props()->Min(), -2) << "a Max below Min lowers Min";

  Props()->SetBorderWidth(-4);
  Props()->SetFrequency(-1);
  Props()->SetLineSize(0);
  Props()->SetPageSize(-7);
  Props()->SetThumbWidth(-1);
  Props()->SetThumbHeight(-1);
  Props()->SetTickSize(0);
  Props()->SetTrackSize(-3);
  EXPECT_EQ(Props()->BorderWidth(), 0);
  EXPECT_EQ(Props()->Frequency(), 0);
  EXPECT_EQ(Props()->LineSize(), 1);
  EXPECT_EQ(Props()->PageSize(), 1);
  EXPECT_EQ(Props()->ThumbWidth(), 0);
  EXPECT_EQ(Props()->ThumbHeight(), 0);
  EXPECT_EQ(Props()->TickSize(), 1);
  EXPECT_EQ(Props()->TrackSize(), 0);
}

TEST_F(TrackBarSettings, EditValuesBecomeFixedPositions) {
  Props()->SetMin(-5);
  Props()->SetMax(20);
  struct Case {
    Variant value;
    int32_t position;
  };
  const Case cases[] = {
      {Null(), -5},         {Variant(), -5},
      {Variant(7), 7},      {Variant(99), 20},
      {Variant(-99), -5},   {Variant(12.5), 12},
      {Variant(u"13"), 13}, {Variant(u"abc"), -5},
      {Variant(1e300), 20}, {Variant(int64_t{1} << 40), 20},
  };
  for (const Case& c : cases) {
    bar->SetEditValue(c.value);
    EXPECT_EQ(bar->Position(), c.position) << StringToUtf8(VarToStr(c.value));
    EXPECT_EQ(bar->GetDisplayText(), IntToStr(c.position));
  }
}

TEST_F(TrackBarSettings, ThumbStepChangesWithoutAChangeNotice) {
  int changes = 0;
  struct Counter {
    int* count;
    void Changed(TObject*) { ++*count; }
  } counter{&changes};
  Props()->SetOnPropertiesChanged(MakeMethod(&counter, &Counter::Changed));
  Props()->SetThumbStep(cxtsJump);
  EXPECT_EQ(changes, 0);
  Props()->SetLineSize(4);
  EXPECT_EQ(changes, 1);
  Props()->SetOnPropertiesChanged({});
}

TEST_F(TrackBarSettings, AssignCopiesEverySettingAndScalesSizes) {
  TcxTrackBarProperties source(nullptr);
  source.SetMin(-50);
  source.SetMax(-10);
  source.SetFrequency(5);
  source.SetReverseDirection(true);
  source.ScaleFactor()->Assign(2, 1, false);
  source.SetThumbWidth(14);
  source.SetTickMarks(cxtmBoth);
  source.SetTickType(tbttTicksAndNumbers);
  source.SetThumbStep(cxtsJump);
  Props()->Assign(&source);
  EXPECT_EQ(Props()->Min(), -50);
  EXPECT_EQ(Props()->Max(), -10);
  EXPECT_EQ(Props()->Frequency(), 5);
  EXPECT_TRUE(Props()->ReverseDirection());
  EXPECT_EQ(Props()->TickMarks(), cxtmBoth);
  EXPECT_EQ(Props()->TickType(), tbttTicksAndNumbers);
  EXPECT_EQ(Props()->ThumbStep(), cxtsJump);
  EXPECT_EQ(Props()->ThumbWidth(), 7) << "14 pixels at twice the scale";
}

// --- Positions to pixels

TEST_F(TrackBarLayout, PositionsMapOntoA200PixelTrack) {
  Use200PixelTrack();
  Show();
  struct Case {
    int32_t min, max;
    bool reverse;
    int32_t position;
    int32_t offsetFromLeft;  // the coordinate minus TrackRect.Left
  };
  const Case cases[] = {
      {0, 10, false, 0, 5},
      {0, 10, false, 5, 100},
      {0, 10, false, 10, 195},
      {0, 10, false, 3, 62},  // 57 + 5
      {0, 10, true, 0, 195},
      {0, 10, true, 5, 100},
      {0, 10, true, 10, 5},
      {3, 3, false, 3, 5},  // Min = Max: one position
      {-100, 100, false, 0, 100},
      {0, 3, false, 1, 68},   // 190/3 = 63.3
      {0, 380, false, 1, 6},  // 0.5 rounds away from zero: 1 pixel
      {0, INT32_MAX, false, INT32_MAX, 195},
      {INT32_MIN, INT32_MAX, false, 0, 100},
  };
  for (const Case& c : cases) {
    Props()->SetMin(INT32_MIN);
    Props()->SetMax(c.max);
    Props()->SetMin(c.min);
    Props()->SetReverseDirection(c.reverse);
    TcxCustomTrackBarViewInfo* vi = VI();
    ASSERT_EQ(vi->TrackRect.Width(), 200);
    EXPECT_EQ(vi->Pixels(), 190);
    EXPECT_EQ(vi->GetCoordinate(c.position) - vi->TrackRect.Left, c.offsetFromLeft)
        << c.min << ".." << c.max << (c.reverse ? " reversed" : "") << " at " << c.position;
  }
}

TEST_F(TrackBarLayout, MinEqualToMaxPutsEveryPositionOnOnePixel) {
  Use200PixelTrack();
  Props()->SetMax(4);
  Props()->SetMin(4);
  Show();
  TcxCustomTrackBarViewInfo* vi = VI();
  EXPECT_EQ(vi->Positions(), 1);
  EXPECT_EQ(vi->GetCoordinate(4), vi->TrackRect.Left + 5);
  bar->SetPosition(9);
  EXPECT_EQ(bar->Position(), 4);
  EXPECT_EQ(VI()->ThumbRect.Left, VI()->TrackRect.Left);
}

TEST_F(TrackBarLayout, ZoneTrackAndThumbFollowTheSizesAndAutoSize) {
  bar->SetBounds(kLeft, kTop, 214, 60);
  Show();
  // AutoSize: zone 21 (the most it takes), track half of it, thumb from the track.
  TcxCustomTrackBarViewInfo* vi = VI();
  EXPECT_EQ(vi->TrackZoneRect.Height(), 21);
  EXPECT_EQ(vi->TrackRect.Height(), 10);
  EXPECT_EQ(vi->ThumbSize, 10);
  EXPECT_EQ(vi->ThumbLargeSize, 20);
  // The client rectangle keeps a 2-pixel transparent border; the zone 7 more on each side.
  EXPECT_EQ(vi->TrackZoneRect.Left, 9);
  EXPECT_EQ(vi->TrackZoneRect.Right, 205);
  // Ticks below (the default): a band of TickSize + 1, plus 1 for no border; none above but 1.
  // Zone top = 2 + 1 + (56 - 1 - 5 - 21) div 2 = 17.
  EXPECT_EQ(vi->TrackZoneRect.Top, 17);

  Props()->SetAutoSize(false);
  Props()->SetTrackSize(7);
  Props()->SetThumbWidth(9);
  Props()->SetThumbHeight(15);
  Props()->SetBorderWidth(3);
  vi = VI();
  EXPECT_EQ(vi->TrackRect.Height(), 7);
  EXPECT_EQ(vi->ThumbSize, 9);
  EXPECT_EQ(vi->ThumbLargeSize, 15);
  EXPECT_EQ(vi->TrackZoneRect.Left, 12) << "2 + border 3 + 7";
  EXPECT_EQ(vi->ThumbRect.Top, vi->TrackRect.Top + (7 - 15) / 2);

  // The change buttons take the ends of the zone, the track keeps 5 pixels off them.
  Props()->SetShowChangeButtons(true);
  vi = VI();
  EXPECT_EQ(vi->LeftButtonRect.Left, vi->TrackZoneRect.Left);
  EXPECT_EQ(vi->TrackRect.Left, vi->LeftButtonRect.Right + 5);
  EXPECT_EQ(vi->TrackRect.Right, vi->RightButtonRect.Left - 1 - 5) << "the right button starts 1 further";
}

TEST_F(TrackBarLayout, TickBandsOfTicksAndNumbersShrinkOnALowBar) {
  Props()->SetTickType(tbttTicksAndNumbers);
  Props()->SetTickMarks(cxtmBoth);
  Props()->SetTickSize(6);
  bar->SetBounds(kLeft, kTop, 214, 100);
  Show();
  TcxCustomTrackBarViewInfo* vi = VI();
  EXPECT_EQ(vi->TickSize, 6) << "enough room: the tick size stays";
  bar->SetHeight(40);
  vi = VI();
  const int32_t label = bar->Canvas()->TextHeight(u"0");
  EXPECT_EQ(vi->TickSize, std::max((40 - 2 * (label + 3) - 21) / 2, 0));
  EXPECT_EQ(Props()->TickSize(), 6) << "the property keeps its value";
}

TEST_F(TrackBarLayout, AVerticalBarLaysOutLikeAHorizontalBarOfSwappedSize) {
  Props()->SetMax(20);
  Props()->SetTickMarks(cxtmBoth);
  Props()->SetSelectionStart(4);
  Props()->SetSelectionEnd(12);
  bar->SetPosition(7);
  bar->SetBounds(kLeft, kTop, 214, 60);
  Show();
  TcxCustomTrackBarViewInfo* vi = VI();
  const TRect track = vi->TrackRect, thumb = vi->ThumbRect, selection = vi->SelectionRect;
  Props()->SetOrientation(tboVertical);
  bar->SetBounds(kLeft, kTop, 60, 214);
  vi = VI();
  EXPECT_EQ(vi->TrackRect, track);
  EXPECT_EQ(vi->ThumbRect, thumb);
  EXPECT_EQ(vi->SelectionRect, selection);
  const TRect real = vi->RealThumbBounds(vi->GetThumb(0));
  EXPECT_EQ(real.Top, vi->VisibleThumbRect.Left) << "stored x is the real y";
}

TEST_F(TrackBarLayout, RightToLeftReversesAHorizontalBarButNotAVerticalOne) {
  Use200PixelTrack();
  bar->SetBiDiMode(bdRightToLeft);
  Show();
  EXPECT_TRUE(VI()->ReverseDirection);
  EXPECT_EQ(VI()->GetCoordinate(0), VI()->TrackRect.Right - 5);
  Props()->SetOrientation(tboVertical);
  EXPECT_FALSE(VI()->ReverseDirection);
}

TEST_F(TrackBarLayout, MinorTicksStepFromMinBelowMax) {
  Show();
  struct Case {
    int32_t min, max, frequency;
    std::vector<int32_t> ticks;
  };
  const Case cases[] = {
      {0, 10, 3, {3, 6, 9}}, {0, 10, 20, {}}, {0, 10, 0, {}},
      {0, 9, 3, {3, 6}},     {-5, 5, 5, {0}}, {0, 10, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
  };
  for (const Case& c : cases) {
    Props()->SetMin(INT32_MIN);
    Props()->SetMax(c.max);
    Props()->SetMin(c.min);
    Props()->SetFrequency(c.frequency);
    const TcxTrackBarTicks& ticks = VI()->MinorTicks();
    std::vector<int32_t> got;
    for (int64_t i = 0; i < ticks.Count(); ++i) got.push_back(ticks.Item(i));
    EXPECT_EQ(got, c.ticks) << c.min << ".." << c.max << " by " << c.frequency;
    EXPECT_TRUE(VI()->IsMajorTick(c.min));
    EXPECT_TRUE(VI()->IsMajorTick(c.max));
  }
}

// Two billion minor ticks are neither stored nor walked one by one.
TEST_F(TrackBarLayout, AFullIntegerRangeWithFrequencyOneNeitherStoresNorWalksEveryTick) {
  Use200PixelTrack();
  Props()->SetMax(INT32_MAX);
  Props()->SetFrequency(1);
  Show();
  EXPECT_EQ(VI()->MinorTicks().Count(), int64_t{INT32_MAX} - 1);
  EXPECT_EQ(VI()->MinorTicks().Runs().size(), 1u);
  Repaint();  // would take minutes walking every tick
  // Ticks are drawn at least 2 pixels apart below the thumb.
  const int y = VI()->ThumbRect.Bottom + 3;
  int drawn = 0;
  for (int x = 0; x < 218; ++x)
    if (Rgb(x, y) == ExpectedRgb(clWindowText)) ++drawn;
  EXPECT_GT(drawn, 40);
  EXPECT_LE(drawn, 100);
}

// --- Pixels

TEST_F(TrackBarPaint, TrackSelectionThumbAndTicksLandWhereTheLayoutSays) {
  Use200PixelTrack();
  form->SetColor(clWhite);
  Props()->SetSelectionStart(2);
  Props()->SetSelectionEnd(6);
  Props()->SetSelectionColor(clRed);
  Props()->SetThumbColor(clLime);
  Props()->SetTickColor(clBlue);
  bar->SetPosition(8);
  Show();
  TcxCustomTrackBarViewInfo* vi = VI();
  const int selY = (vi->SelectionRect.Top + vi->SelectionRect.Bottom) / 2;
  EXPECT_EQ(Rgb(vi->GetCoordinate(4), selY), ExpectedRgb(clRed));
  EXPECT_NE(Rgb(vi->GetCoordinate(7), selY), ExpectedRgb(clRed)) << "the selection ends at 6";
  const TPoint thumb = ThumbCentre();
  EXPECT_EQ(Rgb(thumb.X, thumb.Y), ExpectedRgb(clLime));
  // Tick lines below the thumb at each position; majors are half as long again.
  const int tickTop = vi->ThumbRect.Bottom + 2;
  for (int32_t p = 0; p <= 10; ++p) EXPECT_EQ(Rgb(vi->GetCoordinate(p), tickTop), ExpectedRgb(clBlue)) << p;
  EXPECT_EQ(Rgb(vi->GetCoordinate(0), tickTop + 3), ExpectedRgb(clBlue)) << "a major tick is 3 + 1 long";
  EXPECT_NE(Rgb(vi->GetCoordinate(5), tickTop + 3), ExpectedRgb(clBlue)) << "a minor tick is 3 long";
  EXPECT_NE(Rgb(vi->GetCoordinate(5), vi->ThumbRect.Top - 2), ExpectedRgb(clBlue)) << "no ticks above";
}

TEST_F(TrackBarPaint, LabelsThatWouldOverlapAreLeftOut) {
  Use200PixelTrack();
  Props()->SetMax(1000);
  Props()->SetFrequency(1);
  Props()->SetTickType(tbttNumbers);
  // Every label two thin bars: labels side by side leave blank columns between the bars,
  // labels drawn over each other every few pixels would fill the band.
  struct Labels {
    int calls = 0;
    void Get(TObject*, int32_t, String& AText) {
      ++calls;
      AText = u"||";
    }
  } labels;
  Props()->SetOnGetTickLabel(MakeMethod(&labels, &Labels::Get));
  Show();
  TcxCustomTrackBarViewInfo* vi = VI();
  const int top = vi->ThumbRect.Bottom + 1, height = bar->Canvas()->TextHeight(u"|");
  const uint32_t background = Rgb(4, top);
  int runs = 0, run = 0, widest = 0;
  for (int x = vi->TrackRect.Left - 5; x <= vi->TrackRect.Right + 5; ++x) {
    bool ink = false;
    for (int y = top; y < top + height && !ink; ++y) ink = Rgb(x, y) != background;
    if (ink) {
      if (run++ == 0) ++runs;
      widest = std::max(widest, run);
    } else {
      run = 0;
    }
  }
  EXPECT_GT(labels.calls, 0);
  EXPECT_GE(runs, 20) << "labels all along the track";
  EXPECT_LE(widest, 3) << "no label drawn over another";
  Props()->SetOnGetTickLabel({});
}

}  // namespace
}  // namespace qd::testing

namespace qd::testing {
namespace {

TEST_F(TrackBarSettings, AStoredFormKeepsThePositionTheSettingsAndTheStyle) {
  form->SetName(u"Holder");
  bar->SetName(u"tbVolume");
  Props()->SetMin(-20);
  Props()->SetMax(40);
  Props()->SetOrientation(tboVertical);
  Props()->SetTickMarks(cxtmBoth);
  Props()->SetSelectionColor(clRed);
  Props()->SetThumbStep(cxtsJump);
  bar->SetPosition(-7);
  bar->StoredStyle()->SetColor(clYellow);
  const String text = WriteComponentToText(form);
  for (const char16_t* line :
       {u"Properties.Max = 40", u"Properties.Min = -20", u"Properties.Orientation = tboVertical",
        u"Properties.TickMarks = cxtmBoth", u"Properties.ThumbStep = cxtsJump", u"Position = -7",
        u"Properties.SelectionColor = clRed"})
    EXPECT_NE(text.find(line), String::npos) << StringToUtf8(line) << "\n" << StringToUtf8(text);
  EXPECT_EQ(text.find(u"Properties.LineSize"), String::npos) << "defaults are not stored";

  form->SetName(u"Original");
  TForm* copy = CreateNewForm<TForm>(Application);
  ReadComponentFromText(text, copy);
  auto* read = dynamic_cast<TcxTrackBar*>(copy->FindComponent(u"tbVolume"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Properties()->Min(), -20);
  EXPECT_EQ(read->Properties()->Max(), 40);
  EXPECT_EQ(read->Properties()->Orientation(), tboVertical);
  EXPECT_EQ(read->Properties()->SelectionColor(), clRed);
  EXPECT_EQ(read->Position(), -7);
  EXPECT_EQ(read->Style()->Color(), clYellow);
}

}  // namespace
}  // namespace qd::testing

namespace qd::testing {
namespace {

TEST_F(TrackBarSettings, TheUnitRegistersTheEditorAndItsStoredClass) {
  TcxRegisteredClasses* registered = GetRegisteredEditProperties();
  const TClass properties = TcxTrackBarProperties::StaticClass();
  EXPECT_EQ(registered->GetDescriptionByClass(properties), u"TrackBar");
  EXPECT_EQ(registered->GetHintByClass(properties),
            u"Represents an editor that provides a slider to select a value on its bar");
  EXPECT_EQ(GetClass("TcxTrackBar"), TcxTrackBar::StaticClass());
  EXPECT_EQ(Props()->GetContainerClass(), TcxTrackBar::StaticClass());
  EXPECT_EQ(FilterEditsController()->FindHelper(properties), TcxFilterTrackBarHelper::Class());
  cxTrackBar::Finalize();
  EXPECT_EQ(registered->GetIndexByClass(properties), -1);
  EXPECT_EQ(GetClass("TcxTrackBar"), nullptr);
  EXPECT_TRUE(!FilterEditsControllerAssigned() || FilterEditsController()->FindHelper(properties) == nullptr);
  cxTrackBar::Initialize();
}

// Filter rows edit a track bar column with a spin editor over the bar's range, paging by the
// bar's page size.
TEST_F(TrackBarSettings, TheFilterEditorIsASpinEditorOverTheBarsRange) {
  Props()->SetMin(-5);
  Props()->SetMax(40);
  Props()->SetPageSize(7);
  TcxSpinEditProperties filter(nullptr);
  const TcxFilterEditHelperClass helper = FilterEditsController()->FindHelper(Props()->ClassType());
  ASSERT_EQ(helper, TcxFilterTrackBarHelper::Class());
  helper->InitializeProperties(&filter, Props(), true);
  EXPECT_EQ(filter.MinValue(), -5);
  EXPECT_EQ(filter.MaxValue(), 40);
  EXPECT_EQ(filter.LargeIncrement(), 7);
  EXPECT_TRUE(filter.CanEdit());
  EXPECT_EQ(helper->GetFilterEditClass(), TcxSpinEdit::StaticClass());
}

}  // namespace
}  // namespace qd::testing
