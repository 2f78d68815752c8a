// The progress bar's values: position clamping and rounding, the caption in each text style,
// Min and Max and what they drag along, the peak, marquee rules, listeners and the published
// properties a stored form reads.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "concrete/progress_bar_test_util.h"
#include "platform/classes/rtti.h"
#include "platform/base/strings.h"
#include "platform/classes/filer.h"

namespace qd::testing {
namespace {

std::string Utf8(const String& S) {
  return StringToUtf8(S);
}

TEST_F(ProgressBarTest, PositionIsClampedIntoMinAndMaxOnlyWhenMaxIsAboveMin) {
  struct Case {
    const char* name;
    bool assignRange;
    double min, max, value, expected;
  } cases[] = {
      {"inside the default range", false, 0, 0, 42.5, 42.5},
      {"above the default maximum", false, 0, 0, 150, 100},
      {"below the default minimum", false, 0, 0, -5, 0},
      {"Max equal to Min stores the value unclamped", true, 0, 0, 150, 150},
      {"negative range", true, -50, -10, 0, -10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.assignRange) {
      Props()->SetMin(c.min);
      Props()->SetMax(c.max);
    }
    bar->SetPosition(c.value);
    EXPECT_DOUBLE_EQ(bar->Position(), c.expected);
    EXPECT_DOUBLE_EQ(bar->EditValue().AsDouble(), c.expected);
    Props()->AssignedValues()->SetMinValue(false);
    Props()->AssignedValues()->SetMaxValue(false);
    bar->SetPosition(0);
  }
}

TEST_F(ProgressBarTest, CaptionRoundsThePercentageHalfToEven) {
  struct Case {
    double position, max;
    const char* text;
  } cases[] = {
      {99.5, 100, "100 %"}, {0.5, 100, "0 %"}, {16.5, 100, "16 %"}, {17.5, 100, "18 %"},
      {1, 3, "33 %"},       {2, 3, "67 %"},    {100, 100, "100 %"}, {0, 100, "0 %"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    Props()->SetMax(c.max);
    bar->SetPosition(c.position);
    EXPECT_EQ(Utf8(Info()->GetDrawText()), c.text);
    EXPECT_EQ(Utf8(Props()->GetDisplayText(Variant(c.position))), c.text);
  }
}

TEST_F(ProgressBarTest, WithMaxEqualToMinThePercentageDividesByOneWithinZeroAndHundred) {
  Props()->SetMax(0);
  bar->SetPosition(0.5);
  EXPECT_EQ(bar->GetPercentDone(), 50);
  bar->SetPosition(7);
  EXPECT_EQ(bar->GetPercentDone(), 100);
  // The unclamped position below the minimum shows an empty bar, and so does the caption.
  bar->SetPosition(-3);
  EXPECT_EQ(bar->GetPercentDone(), 0);
  EXPECT_EQ(Utf8(Info()->GetDrawText()), "0 %");
}

TEST_F(ProgressBarTest, CaptionOfEachTextStyle) {
  struct Case {
    const char* name;
    TcxProgressBarTextStyle style;
    const char* fixedText;
    bool marquee;
    const char* expected;
  } cases[] = {
      {"percent", cxtsPercent, "", false, "25 %"},
      {"position", cxtsPosition, "", false, "12.5"},
      {"fixed text", cxtsText, "Copiando", false, "Copiando"},
      {"marquee shows the text whatever the style", cxtsPercent, "Aguarde", true, "Aguarde"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Props()->SetMarquee(false);
    Props()->SetText(u"");
    Props()->SetShowTextStyle(c.style);
    Props()->SetMax(50);
    bar->SetPosition(12.5);
    Props()->SetText(Utf8ToString(c.fixedText));
    if (!std::string(c.fixedText).empty() && !c.marquee) EXPECT_EQ(Props()->ShowTextStyle(), cxtsText);
    Props()->SetMarquee(c.marquee);
    if (c.marquee) Props()->SetShowTextStyle(c.style);
    EXPECT_EQ(Utf8(Info()->GetDrawText()), c.expected);
  }
}

TEST_F(ProgressBarTest, MarqueeKeepsTheFixedTextStyle) {
  Props()->SetMarquee(true);
  EXPECT_EQ(Props()->ShowTextStyle(), cxtsText);
  Props()->SetShowTextStyle(cxtsPercent);
  Props()->SetShowTextStyle(cxtsPosition);
  EXPECT_EQ(Props()->ShowTextStyle(), cxtsText);
  Props()->SetMarquee(false);
  Props()->SetShowTextStyle(cxtsPosition);
  EXPECT_EQ(Props()->ShowTextStyle(), cxtsPosition);
}

TEST_F(ProgressBarTest, EditValueKindsGiveThePosition) {
  struct Case {
    const char* name;
    Variant value;
    double position;
  } cases[] = {
      {"decimal number in a string", Variant(String(u"12.5")), 12.5},
      {"string that is not a number", Variant(String(u"doze")), 0},
      {"partly numeric string", Variant(String(u"12abc")), 0},
      {"integer", Variant(int32_t{33}), 33},
      {"date", Variant::FromDate(45.25), 45.25},
      {"null", Null(), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bar->SetEditValue(Variant(77.0));
    bar->SetEditValue(c.value);
    EXPECT_DOUBLE_EQ(bar->Position(), c.position);
  }
}

TEST_F(ProgressBarTest, MaxReadsHundredUntilAssignedAndClampsTheEditValueWhenSet) {
  EXPECT_DOUBLE_EQ(Props()->Max(), 100);
  EXPECT_DOUBLE_EQ(Props()->Min(), 0);
  EXPECT_FALSE(Props()->AssignedValues()->MaxValue());
  Props()->SetMax(10000);
  bar->SetPosition(5000);
  Props()->SetMax(12);
  EXPECT_DOUBLE_EQ(bar->EditValue().AsDouble(), 12);
  EXPECT_DOUBLE_EQ(bar->Position(), 12);
  // The other bound: raising Min above the value lifts it.
  Props()->SetMax(100);
  bar->SetPosition(3);
  Props()->SetMin(5);
  EXPECT_DOUBLE_EQ(bar->Position(), 5);
  // Min above Max leaves Max equal to Min, and then nothing is clamped.
  Props()->SetMin(200);
  EXPECT_DOUBLE_EQ(Props()->Max(), 200);
  EXPECT_DOUBLE_EQ(bar->Position(), 5);
}

TEST_F(ProgressBarTest, MaxBelowMinDragsMinOverloadAndPeakDown) {
  Props()->SetMin(40);
  Props()->SetOverloadValue(90);
  Props()->SetPeakValue(95);
  Props()->SetMax(25);
  EXPECT_DOUBLE_EQ(Props()->Max(), 25);
  EXPECT_DOUBLE_EQ(Props()->Min(), 25);
  EXPECT_DOUBLE_EQ(Props()->OverloadValue(), 25);
  EXPECT_DOUBLE_EQ(Props()->PeakValue(), 25);
  // And the mirror: Min above Max lifts Max, overload and peak.
  Props()->SetMin(60);
  EXPECT_DOUBLE_EQ(Props()->Max(), 60);
  EXPECT_DOUBLE_EQ(Props()->OverloadValue(), 60);
  EXPECT_DOUBLE_EQ(Props()->PeakValue(), 60);
}

TEST_F(ProgressBarTest, OverloadValueIsKeptWithinTheRange) {
  Props()->SetOverloadValue(250);
  EXPECT_DOUBLE_EQ(Props()->OverloadValue(), 100);
  Props()->SetOverloadValue(-1);
  EXPECT_DOUBLE_EQ(Props()->OverloadValue(), 0);
}

TEST_F(ProgressBarTest, PeakOnlyGrowsAndFollowsThePosition) {
  Props()->SetShowPeak(true);
  bar->SetPosition(70);
  bar->SetPosition(40);
  EXPECT_DOUBLE_EQ(Info()->FPeakValue, 70);
  EXPECT_DOUBLE_EQ(Props()->PeakValue(), 70);
  // Setting the peak resets it; the marker never falls below the position.
  Props()->SetPeakValue(10);
  EXPECT_DOUBLE_EQ(Info()->FPeakValue, 40);
}

TEST_F(ProgressBarTest, UnchangedPositionNotifiesNobody) {
  struct Log {
    std::vector<TObject*> senders;
    void Changed(TObject* Sender) { senders.push_back(Sender); }
  } log;
  TcxProgressBarListener listener(bar);
  listener.OnChanged = MakeMethod(&log, &Log::Changed);
  bar->RegisterListener(&listener);
  bar->SetPosition(30);
  ASSERT_EQ(log.senders.size(), 1u);
  EXPECT_EQ(log.senders[0], bar);
  bar->SetPosition(30);
  EXPECT_EQ(log.senders.size(), 1u);
  // A value clamped to the current position still counts as a request for a new one.
  bar->SetPosition(100);
  bar->SetPosition(180);
  EXPECT_EQ(log.senders.size(), 3u);
  bar->UnRegisterListener(&listener);
  bar->SetPosition(10);
  EXPECT_EQ(log.senders.size(), 3u);
}

TEST_F(ProgressBarTest, UpdaterStepsAdvanceByOne) {
  // The status steps read the position and write it back plus one.
  bar->SetPosition(1);
  for (int i = 0; i < 4; ++i) bar->SetPosition(bar->Position() + 1);
  EXPECT_DOUBLE_EQ(bar->Position(), 5);
  EXPECT_EQ(Utf8(Info()->GetDrawText()), "5 %");
}

TEST_F(ProgressBarTest, SettersThatChangeOtherValues) {
  Props()->SetBarStyle(cxbsAnimation);
  EXPECT_EQ(Props()->BeginColor(), static_cast<TColor>(0x00D328));
  Props()->SetAnimationSpeed(50);
  EXPECT_EQ(Props()->AnimationSpeed(), 20);
  Props()->SetPeakSize(0);
  EXPECT_EQ(Props()->PeakSize(), 1);
}

TEST_F(ProgressBarTest, AssignCopiesTheSettings) {
  Props()->SetBarStyle(cxbsGradientLEDs);
  Props()->SetMax(12);
  Props()->SetPeakValue(7);
  Props()->SetShowPeak(true);
  Props()->SetSolidTextColor(true);
  Props()->SetText(u"x");
  TcxProgressBar other(form);
  other.Properties()->Assign(Props());
  EXPECT_EQ(other.Properties()->BarStyle(), cxbsGradientLEDs);
  EXPECT_DOUBLE_EQ(other.Properties()->Max(), 12);
  EXPECT_DOUBLE_EQ(other.Properties()->PeakValue(), 7);
  EXPECT_TRUE(other.Properties()->ShowPeak());
  EXPECT_TRUE(other.Properties()->SolidTextColor());
  EXPECT_EQ(other.Properties()->ShowTextStyle(), cxtsText);
}

TEST_F(ProgressBarTest, PublishedPropertiesOfTheStoredForm) {
  // What the updater's stored form sets on pbProgresso, by name.
  SetEnumProp(bar->Properties(), u"BarStyle", u"cxbsGradient");
  SetFloatProp(bar->Properties(), u"PeakValue", 50);
  SetOrdProp(bar->Properties(), u"SolidTextColor", 1);
  SetFloatProp(bar, u"Position", 1);
  EXPECT_EQ(Props()->BarStyle(), cxbsGradient);
  EXPECT_DOUBLE_EQ(Props()->PeakValue(), 50);
  EXPECT_TRUE(Props()->SolidTextColor());
  EXPECT_DOUBLE_EQ(bar->Position(), 1);
  EXPECT_EQ(GetObjectProp(bar, u"Properties"), bar->Properties());
  // Defaults are not stored; changed values are.
  const TPropInfo* overload = GetPropInfo(bar->Properties(), u"OverloadValue");
  ASSERT_NE(overload, nullptr);
  EXPECT_FALSE(IsStoredProp(bar->Properties(), overload));
  Props()->SetOverloadValue(50);
  EXPECT_TRUE(IsStoredProp(bar->Properties(), overload));
  const TPropInfo* max = GetPropInfo(bar->Properties(), u"Max");
  ASSERT_NE(max, nullptr);
  EXPECT_FALSE(IsStoredProp(bar->Properties(), max));
  Props()->SetMax(12);
  EXPECT_TRUE(IsStoredProp(bar->Properties(), max));
}

TEST_F(ProgressBarTest, StoredFormOfTheUpdaterWindow) {
  // pbProgresso as the updater's window stores it; the position comes before the maximum, and
  // a position read while loading is not clamped by the maximum that is not read yet.
  TForm* window = CreateNewForm<TForm>(Application);
  ReadComponentFromText(
      u"object Principal: TForm\n"
      u"  object pbProgresso: TcxProgressBar\n"
      u"    Left = 15\n"
      u"    Top = 207\n"
      u"    Position = 5000.000000000000000000\n"
      u"    Properties.BarStyle = cxbsGradient\n"
      u"    Properties.Max = 10000.000000000000000000\n"
      u"    Properties.PeakValue = 50.000000000000000000\n"
      u"    Properties.SolidTextColor = True\n"
      u"    TabStop = False\n"
      u"    Width = 526\n"
      u"  end\n"
      u"end\n",
      window);
  auto* stored = dynamic_cast<TcxProgressBar*>(window->FindComponent(u"pbProgresso"));
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->Properties()->BarStyle(), cxbsGradient);
  EXPECT_DOUBLE_EQ(stored->Properties()->PeakValue(), 50);
  EXPECT_TRUE(stored->Properties()->SolidTextColor());
  EXPECT_DOUBLE_EQ(stored->Properties()->Max(), 10000);
  EXPECT_DOUBLE_EQ(stored->Position(), 5000);
  EXPECT_FALSE(stored->TabStop());
  EXPECT_EQ(stored->Width(), 526);
  // Written back: only what differs from the defaults.
  const std::string text = Utf8(WriteComponentToText(window));
  EXPECT_NE(text.find("Properties.BarStyle = cxbsGradient"), std::string::npos) << text;
  EXPECT_NE(text.find("Properties.PeakValue = 50"), std::string::npos) << text;
  EXPECT_EQ(text.find("Properties.ShowText"), std::string::npos) << text;
  EXPECT_EQ(text.find("Properties.OverloadValue"), std::string::npos) << text;
  delete window;
}

TEST_F(ProgressBarTest, AutoSizeTakesTheHeightOfTheFont) {
  bar->SetEditAutoSize(true);
  bar->Font()->SetHeight(-11);
  const int small = bar->Height();
  bar->Font()->SetHeight(-24);
  const int large = bar->Height();
  EXPECT_GT(small, 11);
  EXPECT_LT(small, 30);
  EXPECT_GT(large, small + 8);
  EXPECT_EQ(bar->Width(), 204);
}

TEST_F(ProgressBarTest, RegisteredAsAnEditor) {
  TcxRegisteredClasses* registry = GetRegisteredEditProperties();
  const int32_t index = registry->GetIndexByClass(TcxProgressBarProperties::StaticClass());
  ASSERT_GE(index, 0);
  EXPECT_EQ(Utf8(registry->GetDescription(index)), "ProgressBar");
  EXPECT_EQ(Utf8(registry->GetHint(index)), "Represents an advanced progress bar control");
  EXPECT_EQ(Props()->GetContainerClass(), TcxProgressBar::StaticClass());
}

TEST_F(ProgressBarTest, StandAloneBarTakesNoFocusAndNoMouseCapture) {
  EXPECT_FALSE(bar->ControlStyle().Contains(csCaptureMouse));
  EXPECT_FALSE(bar->ControlStyle().Contains(csClickEvents));
  ShowForm();
  EXPECT_FALSE(bar->CanFocus());
  TcxProgressBar fresh(form);
  EXPECT_EQ(fresh.Width(), 121);
  EXPECT_EQ(fresh.Height(), 21);
}

}  // namespace
}  // namespace qd::testing
