// The spin editor: stepping, clamping and wrapping, typed text, keys, the wheel, the
// auto-repeat of a held button, stored forms and registration.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "editors/text_edit_test_util.h"
#include "platform/classes/filer.h"
#include "platform/os/user_edit.h"
#include "ui/editors/concrete/cxProgressBar.h"
#include "ui/editors/concrete/cxSpinEdit.h"

namespace qd::testing {
namespace {

constexpr int64_t kMax64 = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin64 = std::numeric_limits<int64_t>::min();

class SpinEditTest : public TextEditTest {
 protected:
  TcxSpinEdit* NewSpin() { return NewFocusedEdit<TcxSpinEdit>(); }

  // A mouse press and release on a spin button through the queue; the release is left to
  // the caller when AHold is set.
  void PressButton(TcxSpinEdit* AEdit, int32_t AIndex, bool AHold) {
    const TRect r = AEdit->ViewInfo()->ButtonsInfo.at(static_cast<size_t>(AIndex))->Bounds;
    held_ = AEdit->ClientToScreen(TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    Clock().Advance(GetDoubleClickTime() + 1);
    os::InjectMouseMove(POINT{held_.X, held_.Y});
    os::InjectMouseButton(WM_LBUTTONDOWN, POINT{held_.X, held_.Y});
    Application->ProcessMessages();
    if (!AHold) Release();
  }
  void Release() {
    os::InjectMouseButton(WM_LBUTTONUP, POINT{held_.X, held_.Y});
    Application->ProcessMessages();
  }
  TPoint held_;
};

std::string SpinText(TcxSpinEdit* AEdit) {
  return StringToUtf8(AEdit->Text());
}

// --- Steps ----------------------------------------------------------------------------------------------

struct StepCase {
  const char* Name;
  TcxSpinEditValueType Type;
  bool Bounded;
  double Min, Max;
  bool Circular;
  double Increment;
  double Start;
  TcxSpinEditButton Button;
  double Expected;
};

TEST_F(SpinEditTest, StepsClampAndWrap) {
  const StepCase cases[] = {
      {"circular max forward", vtInt, true, 0, 10, true, 1, 10, sebForward, 0},
      {"circular min backward", vtInt, true, 0, 10, true, 1, 0, sebBackward, 10},
      {"circular large step passes max", vtInt, true, 0, 10, true, 1, 9, sebFastForward, 8},
      {"circular +3 from 9", vtInt, true, 0, 10, true, 3, 9, sebForward, 1},
      {"circular -3 from 1", vtInt, true, 0, 10, true, 3, 1, sebBackward, 9},
      // The plain wrap formula gives 23 and 3 - 25 - ... outside the range.
      {"circular step longer than the range", vtInt, true, 0, 10, true, 25, 0, sebForward, 3},
      {"circular step longer than the range back", vtInt, true, 0, 10, true, 25, 10, sebBackward, 7},
      {"clamped +3 from 9", vtInt, true, 0, 10, false, 3, 9, sebForward, 10},
      {"clamped -3 from 1", vtInt, true, 0, 10, false, 3, 1, sebBackward, 0},
      {"above max stays on forward", vtInt, true, 0, 10, false, 1, 15, sebForward, 15},
      {"above max backward goes to max", vtInt, true, 0, 10, false, 1, 15, sebBackward, 10},
      {"below min forward goes to min", vtInt, true, 0, 10, false, 1, -5, sebForward, 0},
      {"above max circular forward goes to min", vtInt, true, 0, 10, true, 1, 15, sebForward, 0},
      {"half increment rounds to 0", vtInt, true, 0, 10, false, 0.5, 4, sebForward, 4},
      {"one and a half rounds to 2", vtInt, true, 0, 10, false, 1.5, 4, sebForward, 6},
      {"float clamps", vtFloat, true, 0, 1, false, 0.25, 0.9, sebForward, 1},
      {"float circular within an integral range", vtFloat, true, 0, 10, true, 3, 9, sebForward, 1},
      // The integer step across the bound would give -0.9.
      {"float circular narrow range", vtFloat, true, 0, 1, true, 0.1, 1, sebForward, 0},
      {"float circular narrow range back", vtFloat, true, 0, 1, true, 0.1, 0, sebBackward, 1},
  };
  TcxSpinEdit* edit = NewSpin();
  for (const StepCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto* p = edit->Properties();
    p->SetValueType(c.Type);
    p->SetMinValue(c.Min);
    p->SetMaxValue(c.Max);
    p->SetCircular(c.Circular);
    p->SetIncrement(c.Increment);
    p->SetLargeIncrement(10);
    edit->SetValue(c.Type == vtInt ? Variant(static_cast<int64_t>(c.Start)) : Variant(c.Start));
    edit->Increment(c.Button);
    EXPECT_DOUBLE_EQ(edit->Value().AsDouble(), c.Expected);
    EXPECT_EQ(VarIsFloat(edit->Value()), c.Type == vtFloat);
  }
}

TEST_F(SpinEditTest, WithoutBoundsIntegersStepThroughTheWhole64BitRange) {
  struct Case {
    int64_t Start;
    TcxSpinEditButton Button;
    int64_t Expected;
  };
  const Case cases[] = {
      {kMax64 - 1, sebForward, kMax64},     {kMax64, sebForward, kMax64},
      {kMin64 + 1, sebBackward, kMin64},    {kMin64, sebBackward, kMin64},
      {kMax64 - 3, sebFastForward, kMax64}, {-1, sebForward, 0},
  };
  TcxSpinEdit* edit = NewSpin();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Start));
    edit->SetValue(Variant(c.Start));
    edit->Increment(c.Button);
    EXPECT_EQ(edit->Value().AsInt64(), c.Expected);
  }
  edit->Properties()->SetCircular(true);
  edit->SetValue(Variant(kMax64));
  edit->Increment(sebForward);
  EXPECT_EQ(edit->Value().AsInt64(), kMin64);
}

TEST_F(SpinEditTest, FloatStepsOfATenthDoNotDrift) {
  TcxSpinEdit* edit = NewSpin();
  edit->Properties()->SetValueType(vtFloat);
  edit->Properties()->SetIncrement(0.1);
  const char* expected[] = {"0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1"};
  for (const char* text : expected) {
    Press(VK_UP);
    EXPECT_EQ(SpinText(edit), text);
  }
  EXPECT_EQ(edit->Value().AsDouble(), 1.0);
}

TEST_F(SpinEditTest, GetIncrementOfAnUnknownButtonFails) {
  TcxSpinEditProperties p(nullptr);
  EXPECT_EQ(p.GetIncrement(sebFastBackward), -10);
  EXPECT_THROW(p.GetIncrement(static_cast<TcxSpinEditButton>(7)), EdxException);
}

// --- Keys, typing and the wheel ---------------------------------------------------------------------------

TEST_F(SpinEditTest, ArrowAndPageKeysStep) {
  TcxSpinEdit* edit = NewSpin();
  struct Case {
    int Key;
    bool Ctrl;
    const char* Text;
  } cases[] = {{VK_UP, false, "1"},
               {VK_UP, false, "2"},
               {VK_PRIOR, false, "12"},
               {VK_DOWN, false, "11"},
               {VK_NEXT, false, "1"}};
  for (const Case& c : cases) {
    Press(c.Key, false, c.Ctrl);
    EXPECT_EQ(SpinText(edit), c.Text);
  }
  EXPECT_TRUE(edit->ModifiedAfterEnter());
  EXPECT_EQ(edit->PressedState(), epsNone) << "the key's release lets its button go";
}

TEST_F(SpinEditTest, UseCtrlIncrementStepsOnlyWithCtrl) {
  TcxSpinEdit* edit = NewSpin();
  edit->Properties()->SetUseCtrlIncrement(true);
  Press(VK_PRIOR);
  EXPECT_EQ(SpinText(edit), "");
  Press(VK_PRIOR, false, true);
  EXPECT_EQ(SpinText(edit), "10");
}

TEST_F(SpinEditTest, TypingRefusesWhatIsNoNumberWithABeep) {
  TcxSpinEdit* edit = NewSpin();
  edit->SelectAll();
  Type(u"4a2");
  EXPECT_EQ(SpinText(edit), "42");
  EXPECT_EQ(os::TakeBeepsForTesting().size(), 1u);
  EXPECT_EQ(edit->Value().AsInt64(), 42);
  // Stepping starts from the typed value.
  Press(VK_UP);
  EXPECT_EQ(SpinText(edit), "43");
}

TEST_F(SpinEditTest, WithoutCanEditTypingAndBackspaceAreRefused) {
  TcxSpinEdit* edit = NewSpin();
  edit->Properties()->SetCanEdit(false);
  Press(VK_UP);
  Type(u"5");
  Press(VK_BACK);
  EXPECT_EQ(SpinText(edit), "1");
}

TEST_F(SpinEditTest, TypedValueOutOfBoundsIsClampedWhenLeaving) {
  TcxSpinEdit* edit = NewSpin();
  edit->Properties()->SetMinValue(0);
  edit->Properties()->SetMaxValue(10);
  edit->SelectAll();
  Type(u"25");
  FocusOther();
  EXPECT_EQ(edit->Value().AsInt64(), 10);
  EXPECT_EQ(SpinText(edit), "10");
}

TEST_F(SpinEditTest, TypedFloatAcceptsAPointOrACommaAsTheSeparator) {
  TcxSpinEdit* edit = NewSpin();
  edit->Properties()->SetValueType(vtFloat);
  edit->SelectAll();
  Type(u"2,5");
  EXPECT_EQ(SpinText(edit), "2.5");
  Press(VK_UP);
  EXPECT_EQ(SpinText(edit), "3.5");
}

TEST_F(SpinEditTest, WheelSteps) {
  TcxSpinEdit* edit = NewSpin();
  const TPoint p = edit->ClientToScreen(TPoint{20, 10});
  edit->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(WHEEL_DELTA)), MAKELPARAM(p.X, p.Y));
  EXPECT_EQ(SpinText(edit), "1");
  edit->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-2 * WHEEL_DELTA)), MAKELPARAM(p.X, p.Y));
  EXPECT_EQ(SpinText(edit), "0");
}

// --- Auto-repeat ----------------------------------------------------------------------------------------

TEST_F(SpinEditTest, HeldButtonRepeatsAfter400ThenEvery100Milliseconds) {
  TcxSpinEdit* edit = NewSpin();
  PressButton(edit, sebForward, true);
  EXPECT_EQ(SpinText(edit), "1") << "one step at once";
  struct Step {
    uint32_t Ms;
    const char* Text;
  } steps[] = {{399, "1"}, {1, "2"}, {99, "2"}, {1, "3"}, {100, "4"}, {100, "5"}, {100, "6"}, {100, "7"}};
  for (const Step& s : steps) {
    Clock().Advance(s.Ms);
    Application->ProcessMessages();
    EXPECT_EQ(SpinText(edit), s.Text);
  }
  Release();
  EXPECT_FALSE(edit->IsTracking());
  Clock().Advance(1000);
  Application->ProcessMessages();
  EXPECT_EQ(SpinText(edit), "7") << "releasing stops";
}

TEST_F(SpinEditTest, ReadOnlyButtonDoesNotRepeat) {
  TcxSpinEdit* edit = NewSpin();
  edit->Properties()->SetReadOnly(true);
  PressButton(edit, sebForward, true);
  EXPECT_FALSE(edit->IsTracking());
  Release();
}

// --- Layout ---------------------------------------------------------------------------------------------

TEST_F(SpinEditTest, ButtonsStandInTheirArrangement) {
  struct Case {
    const char* Name;
    TcxSpinEditButtonsPosition Position;
    bool Fast;
    // Left-to-right order of the buttons; a vertical pair shares one column.
    std::vector<TcxSpinEditButton> Order;
  } cases[] = {
      {"vertical", sbpVert, false, {sebForward}},
      {"vertical fast", sbpVert, true, {sebFastBackward, sebForward, sebFastForward}},
      {"horizontal right", sbpHorzRight, false, {sebBackward, sebForward}},
      {"horizontal right fast",
       sbpHorzRight,
       true,
       {sebFastBackward, sebBackward, sebForward, sebFastForward}},
      {"left and right", sbpHorzLeftRight, false, {sebBackward, sebForward}},
      {"left and right fast",
       sbpHorzLeftRight,
       true,
       {sebFastBackward, sebBackward, sebForward, sebFastForward}},
  };
  TcxSpinEdit* edit = NewSpin();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    edit->Properties()->SpinButtons()->SetPosition(c.Position);
    edit->Properties()->SpinButtons()->SetShowFastButtons(c.Fast);
    Application->ProcessMessages();
    auto bounds = [&](TcxSpinEditButton B) { return edit->ViewInfo()->ButtonsInfo.at(B)->Bounds; };
    ASSERT_EQ(edit->ViewInfo()->ButtonCount(), c.Fast ? 4 : 2);
    for (size_t i = 1; i < c.Order.size(); ++i)
      EXPECT_LE(bounds(c.Order[i - 1]).Right, bounds(c.Order[i]).Left) << i;
    if (c.Position == sbpVert) {
      EXPECT_EQ(bounds(sebForward).Left, bounds(sebBackward).Left);
      // The theme draws the buttons here; a one-pixel delimiter separates them.
      EXPECT_EQ(bounds(sebForward).Bottom + 1, bounds(sebBackward).Top) << "up above down";
    }
    EXPECT_LE(bounds(c.Order.back()).Right, edit->Width());
    EXPECT_GE(bounds(c.Order.back()).Right, edit->Width() - 3) << "forward buttons at the right edge";
    if (c.Position == sbpHorzLeftRight)
      EXPECT_LE(bounds(c.Order.front()).Left, 3) << "backward buttons at the left edge";
    else
      EXPECT_GT(bounds(c.Order.front()).Left, 40) << "the text keeps the left part";
  }
}

// --- Properties, stored forms, registration ------------------------------------------------------------

TEST_F(SpinEditTest, ButtonCountFollowsTheSpinButtons) {
  TcxSpinEditProperties p(nullptr);
  EXPECT_EQ(p.Buttons()->Count(), 2);
  p.SpinButtons()->SetShowFastButtons(true);
  EXPECT_EQ(p.Buttons()->Count(), 4);
  p.SpinButtons()->SetVisible(false);
  EXPECT_EQ(p.Buttons()->Count(), 0);
  p.SpinButtons()->SetVisible(true);
  p.SpinButtons()->SetShowFastButtons(false);
  EXPECT_EQ(p.Buttons()->Count(), 2);
}

TEST_F(SpinEditTest, AssignCopiesTheValueTypeOnlyWhenAssigned) {
  TcxSpinEditProperties a(nullptr), b(nullptr);
  b.SetValueType(vtFloat);
  a.SetCircular(true);
  a.SetIncrement(0);
  a.SpinButtons()->SetPosition(sbpHorzRight);
  b.Assign(&a);
  EXPECT_EQ(b.ValueType(), vtFloat);
  EXPECT_TRUE(b.Circular());
  EXPECT_EQ(b.Increment(), 0);
  EXPECT_EQ(b.SpinButtons()->Position(), sbpHorzRight);
}

TEST_F(SpinEditTest, TextToValueStripsTheDisplayFormatWhenAsked) {
  TcxSpinEditProperties p(nullptr);
  p.SetValueType(vtFloat);
  p.SetDisplayFormat(u"0.00 kg");
  Variant v;
  EXPECT_FALSE(p.TryTextToValue(u"2.50 kg", v));
  p.SetUseDisplayFormatWhenEditing(true);
  ASSERT_TRUE(p.TryTextToValue(u"2.50 kg", v));
  EXPECT_DOUBLE_EQ(v.AsDouble(), 2.5);
  EXPECT_FALSE(p.TryTextToValue(u"2.50 lb", v));
}

TEST_F(SpinEditTest, StoredFormKeepsZeroIncrementsAndTheValueType) {
  cxSpinEdit::Initialize();
  form_ = NewPlainForm();
  ReadComponentFromText(
      u"object Form: TForm\n"
      u"  object Peso: TcxSpinEdit\n"
      u"    Properties.Increment = 0.25\n"
      u"    Properties.ZeroLargeIncrement = True\n"
      u"    Properties.MaxValue = 10\n"
      u"    Properties.ValueType = vtFloat\n"
      u"    Properties.SpinButtons.Position = sbpHorzRight\n"
      u"    Value = 2.5\n"
      u"  end\n"
      u"end\n",
      form_);
  auto* edit = dynamic_cast<TcxSpinEdit*>(form_->FindComponent(u"Peso"));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->Properties()->Increment(), 0.25);
  EXPECT_EQ(edit->Properties()->LargeIncrement(), 0);
  EXPECT_EQ(edit->Properties()->ValueType(), vtFloat);
  EXPECT_EQ(edit->Properties()->SpinButtons()->Position(), sbpHorzRight);
  EXPECT_EQ(edit->Value().AsDouble(), 2.5);
  const std::string text = StringToUtf8(WriteComponentToText(form_));
  EXPECT_NE(text.find("Properties.ZeroLargeIncrement = True"), std::string::npos) << text;
  EXPECT_EQ(text.find("ZeroIncrement"), std::string::npos) << text;
  EXPECT_NE(text.find("Properties.ValueType = vtFloat"), std::string::npos) << text;
  cxSpinEdit::Finalize();
}

TEST_F(SpinEditTest, StartUpRegistersThePropertiesAndTheFilterHelper) {
  cxSpinEdit::Initialize();
  TcxRegisteredClasses* registered = GetRegisteredEditProperties();
  EXPECT_EQ(registered->GetDescriptionByClass(TcxSpinEditProperties::StaticClass()), u"SpinEdit");
  EXPECT_EQ(registered->GetHintByClass(TcxSpinEditProperties::StaticClass()), u"Represents a spin editor");
  EXPECT_EQ(FilterEditsController()->FindHelper(TcxSpinEditProperties::StaticClass()),
            TcxFilterSpinEditHelper::Class());
  EXPECT_NE(GetClass("TcxSpinEdit"), nullptr);
  const auto ops = TcxFilterSpinEditHelper::Class()->GetSupportedFilterOperators(nullptr, nullptr, true);
  EXPECT_TRUE(ops.Contains(fcoBetween));
  EXPECT_FALSE(ops.Contains(fcoLike));
  cxSpinEdit::Finalize();
  EXPECT_EQ(GetClass("TcxSpinEdit"), nullptr);
}

TEST_F(SpinEditTest, ProgressBarFilterEditorIsASpinEditorWithinTheBarsRange) {
  cxProgressBar::Initialize();
  EXPECT_EQ(FilterEditsController()->FindHelper(TcxProgressBarProperties::StaticClass()),
            TcxFilterProgressBarHelper::Class());
  TcxProgressBarProperties bar(nullptr);
  bar.SetMin(5);
  bar.SetMax(50);
  TcxSpinEditProperties filter(nullptr);
  TcxFilterProgressBarHelper::Class()->InitializeProperties(&filter, &bar, true);
  EXPECT_EQ(filter.MinValue(), 5);
  EXPECT_EQ(filter.MaxValue(), 50);
  EXPECT_TRUE(filter.CanEdit());
  cxProgressBar::Finalize();
  EXPECT_EQ(FilterEditsController()->FindHelper(TcxProgressBarProperties::StaticClass()), nullptr);
}

}  // namespace
}  // namespace qd::testing
