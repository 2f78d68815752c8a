// The check box: value rules, display texts, the state cycle by code, keys and mouse, the
// glyph-index table, stored forms, registration and what the box looks like.
#include <gtest/gtest.h>

#include "graphics/picture_units_test_util.h"
#include "ui/editors/cxDropDownEditComboBox.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "editors/edit_test_util.h"
#include "platform/classes/filer.h"
#include "platform/classes/lists.h"
#include "platform/os/user_display.h"
#include "ui/editors/concrete/cxCheckBox.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "platform/gdiplus/gdiplus.h"
#include "ui/graphics/dxGDIPlusAPI.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/graphics/dxGDIPlusClasses.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"
#include "ui/lookandfeel/dxFading.h"

namespace qd::testing {
namespace {

using Events = std::vector<std::string>;

struct CheckBoxRecorder {
  Events Log;
  TcxCustomCheckBox* Box = nullptr;
  void Click(TObject*) { Log.push_back("Click " + std::to_string(Box->State())); }
  void Change(TObject*) { Log.push_back("Change " + std::to_string(Box->State())); }
  void Attach(TcxCustomCheckBox* ABox) {
    Box = ABox;
    ABox->OnClick = MakeMethod(this, &CheckBoxRecorder::Click);
    ABox->Properties()->SetOnChange(MakeMethod(this, &CheckBoxRecorder::Change));
  }
};

class CheckBoxTest : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    dxFading::Initialize();
  }
  void TearDown() override {
    forms::Finalize();
    forms::Initialize();
    dxFading::Finalize();
    EditTest::TearDown();
  }
  // A check box on a shown form, with a button to move the focus to.
  TcxCheckBox* NewBoxOnForm(const String& ACaption = u"Option") {
    form_ = NewPlainForm(300, 100);
    auto* box = new TcxCheckBox(form_);
    box->SetParent(form_);
    box->SetCaption(ACaption);
    box->SetEditAutoSize(false);
    box->SetBounds(10, 10, 120, 21);
    other_ = new TButton(form_);
    other_->SetParent(form_);
    other_->SetBounds(10, 50, 80, 25);
    ShowAndUpdate(form_);
    return box;
  }
  // A press and release of a key through the queue.
  static void PressKey(int AVk, Char AChar = 0) {
    os::InjectKey(AVk, true, AChar);
    Application->ProcessMessages();
    os::InjectKey(AVk, false, AChar);
    Application->ProcessMessages();
  }
  // A left click at a point of the control through the queue.
  void ClickAt(TControl* AControl, const TPoint& P) {
    const TPoint s = AControl->ClientToScreen(P);
    Clock().Advance(GetDoubleClickTime() + 1);
    os::InjectMouseMove(POINT{s.X, s.Y});
    os::InjectMouseButton(WM_LBUTTONDOWN, POINT{s.X, s.Y});
    Application->ProcessMessages();
    os::InjectMouseButton(WM_LBUTTONUP, POINT{s.X, s.Y});
    Application->ProcessMessages();
  }
  TForm* form_ = nullptr;
  TButton* other_ = nullptr;
};

// --- Values ---------------------------------------------------------------------------------------------

TEST_F(CheckBoxTest, StateOfAValueNeedsTheExactCheckedOrUncheckedValue) {
  struct Case {
    const char* Name;
    Variant Value;
    TcxCheckBoxState Expected;
  };
  const Case defaults[] = {
      {"True", Variant(true), cbsChecked},
      {"False", Variant(false), cbsUnchecked},
      {"5", Variant(5), cbsGrayed},
      {"Null", Null(), cbsGrayed},
      {"1 is not True", Variant(1), cbsGrayed},
      {"'True' is not True", Variant(String(u"True")), cbsGrayed},
  };
  TcxCheckBoxProperties p(nullptr);
  for (const Case& c : defaults) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(p.GetState(c.Value), c.Expected);
    Variant display;
    p.PrepareDisplayValue(c.Value, display, false);
    EXPECT_EQ(display.AsInteger(), static_cast<int32_t>(c.Expected));
  }
  p.SetValueChecked(Variant(String(u"Y")));
  p.SetValueUnchecked(Variant(String(u"N")));
  EXPECT_EQ(p.GetState(Variant(String(u"Y"))), cbsChecked);
  EXPECT_EQ(p.GetState(Variant(String(u"N"))), cbsUnchecked);
  EXPECT_EQ(p.GetState(Variant(true)), cbsGrayed);
  Variant valid = Variant(String(u"Y"));
  EXPECT_TRUE(p.IsEditValueValid(valid, false));
  Variant invalid = Variant(true);
  EXPECT_FALSE(p.IsEditValueValid(invalid, false));
  // Display values compare by state.
  EXPECT_TRUE(p.CompareDisplayValues(Variant(5), Null()));
  EXPECT_FALSE(p.CompareDisplayValues(Variant(String(u"Y")), Variant(String(u"N"))));
}

TEST_F(CheckBoxTest, StateValuesStayDistinctOutsideLoading) {
  struct Case {
    const char* Name;
    void (TcxCustomCheckBoxProperties::*Set)(const Variant&);
    const Variant& (TcxCustomCheckBoxProperties::*Get)() const;
    Variant Value;
    bool Accepted;
  };
  using P = TcxCustomCheckBoxProperties;
  const Case cases[] = {
      {"checked to the unchecked value", &P::SetValueChecked, &P::ValueChecked, Variant(false), false},
      {"checked to Null", &P::SetValueChecked, &P::ValueChecked, Null(), false},
      {"checked to 'Y'", &P::SetValueChecked, &P::ValueChecked, Variant(String(u"Y")), true},
      {"unchecked to the checked value", &P::SetValueUnchecked, &P::ValueUnchecked, Variant(true), false},
      {"unchecked to Null", &P::SetValueUnchecked, &P::ValueUnchecked, Null(), false},
      {"unchecked to 0", &P::SetValueUnchecked, &P::ValueUnchecked, Variant(0), true},
      {"grayed to the checked value", &P::SetValueGrayed, &P::ValueGrayed, Variant(true), false},
      {"grayed to 2", &P::SetValueGrayed, &P::ValueGrayed, Variant(2), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TcxCheckBoxProperties p(nullptr);
    int changes = 0;
    struct Counter {
      int* N;
      void Changed(TObject*) { ++*N; }
    } counter{&changes};
    p.SetOnPropertiesChanged(MakeMethod(&counter, &Counter::Changed));
    const Variant before = (p.*c.Get)();
    (p.*c.Set)(c.Value);
    const Variant after = (p.*c.Get)();
    EXPECT_EQ(InternalVarEqualsExact(after, c.Accepted ? c.Value : before), true);
    EXPECT_EQ(changes, c.Accepted ? 1 : 0);
  }
  // Back to Null for the grayed value is allowed.
  TcxCheckBoxProperties p(nullptr);
  p.SetValueGrayed(Variant(2));
  p.SetValueGrayed(Null());
  EXPECT_TRUE(VarIsNull(p.ValueGrayed()));
}

TEST_F(CheckBoxTest, AssignCopiesTheStateValuesOnlyAsAValidSet) {
  TcxCheckBoxProperties source(nullptr);
  source.SetValueChecked(Variant(String(u"Y")));
  source.SetValueUnchecked(Variant(String(u"N")));
  source.SetAllowGrayed(true);
  source.SetDisplayChecked(u"Yes");
  TcxCheckBoxProperties copy(nullptr);
  copy.Assign(&source);
  EXPECT_TRUE(InternalVarEqualsExact(copy.ValueChecked(), Variant(String(u"Y"))));
  EXPECT_TRUE(InternalVarEqualsExact(copy.ValueUnchecked(), Variant(String(u"N"))));
  EXPECT_TRUE(copy.AllowGrayed());
  EXPECT_EQ(copy.DisplayChecked(), u"Yes");
}

TEST_F(CheckBoxTest, DisplayTextsDefaultAndAreStoredOnlyWhenTheyDiffer) {
  TcxCheckBoxProperties p(nullptr);
  EXPECT_EQ(p.GetDisplayText(Variant(true)), u"True");
  EXPECT_EQ(p.GetDisplayText(Variant(false)), u"False");
  EXPECT_EQ(p.GetDisplayText(Null()), u"");
  p.SetDisplayChecked(u"Sim");
  p.SetDisplayGrayed(u"?");
  EXPECT_EQ(p.GetDisplayText(Variant(true)), u"Sim");
  EXPECT_EQ(p.GetDisplayText(Variant(7)), u"?");
  EXPECT_TRUE(p.IsDisplayCheckedStored());
  EXPECT_FALSE(p.IsDisplayUncheckedStored());
  p.SetDisplayChecked(u"True");
  EXPECT_FALSE(p.IsDisplayCheckedStored());
  EXPECT_EQ(p.GetDisplayText(Variant(true)), u"True");
}

// --- Glyph index ------------------------------------------------------------------------------------------

TEST(CheckBoxGlyphIndex, Table) {
  struct Case {
    int32_t Count;
    bool GrayedGroup;
    TcxCheckBoxState State;
    TcxEditCheckState CheckState;
    int32_t Expected;
  };
  const Case cases[] = {
      // The default six images: unchecked, checked, grayed, then the same pressed.
      {6, true, cbsUnchecked, ecsNormal, 0},
      {6, true, cbsChecked, ecsHot, 1},
      {6, true, cbsGrayed, ecsDisabled, 2},
      {6, true, cbsUnchecked, ecsPressed, 3},
      {6, true, cbsChecked, ecsPressed, 4},
      {6, true, cbsGrayed, ecsPressed, 5},
      // Four images on a check box keep groups of three; beyond the count wraps.
      {4, true, cbsUnchecked, ecsNormal, 0},
      {4, true, cbsChecked, ecsNormal, 1},
      {4, true, cbsGrayed, ecsNormal, 2},
      {4, true, cbsUnchecked, ecsPressed, 3},
      {4, true, cbsChecked, ecsPressed, 1},
      {4, true, cbsGrayed, ecsPressed, 2},
      // Without a grayed group four images make groups of two.
      {4, false, cbsUnchecked, ecsPressed, 2},
      {4, false, cbsChecked, ecsPressed, 3},
      {4, false, cbsGrayed, ecsPressed, 0},
      // Odd counts use groups of three.
      {5, false, cbsGrayed, ecsPressed, 2},
      // One image serves every state.
      {1, true, cbsChecked, ecsPressed, 0},
      {1, false, cbsGrayed, ecsNormal, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "count " << c.Count << " grayed group " << c.GrayedGroup << " state "
                                      << int(c.State) << " check " << int(c.CheckState));
    EXPECT_EQ(GetEditCheckGlyphIndex(c.State, c.CheckState, c.GrayedGroup, c.Count), c.Expected);
  }
  EXPECT_EQ(GetCheckBoxStateCaptionByGlyphIndex(4), u"Checked Pressed");
  EXPECT_EQ(GetCheckBoxStateCaptionByGlyphIndex(6), u"Not Used");
  EXPECT_EQ(GetCheckNativeState(cbsGrayed, ecsDisabled), 12);
  EXPECT_EQ(GetCheckNativeState(cbsChecked, ecsHot), 6);
}

// --- The state cycle
// ------------------------------------------------------------------------------------------

TEST_F(CheckBoxTest, ToggleCyclesTheStates) {
  struct Case {
    bool AllowGrayed;
    std::vector<TcxCheckBoxState> Expected;
  };
  const Case cases[] = {
      {false, {cbsChecked, cbsUnchecked, cbsChecked, cbsUnchecked}},
      {true, {cbsGrayed, cbsChecked, cbsUnchecked, cbsGrayed}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.AllowGrayed);
    TcxCheckBox box(nullptr);
    box.Properties()->SetAllowGrayed(c.AllowGrayed);
    CheckBoxRecorder recorder;
    recorder.Attach(&box);
    std::vector<TcxCheckBoxState> seen;
    for (size_t i = 0; i < c.Expected.size(); ++i) {
      box.Toggle();
      seen.push_back(box.State());
    }
    EXPECT_EQ(seen, c.Expected);
    // One click and one change a step; the change comes after the click.
    ASSERT_EQ(recorder.Log.size(), 2 * c.Expected.size());
    EXPECT_EQ(recorder.Log[0], "Click " + std::to_string(c.Expected[0]));
    EXPECT_EQ(recorder.Log[1], "Change " + std::to_string(c.Expected[0]));
    EXPECT_TRUE(box.GetModified());
  }
}

TEST_F(CheckBoxTest, StateAndCheckedWriteTheStateValues) {
  TcxCheckBox box(nullptr);
  box.Properties()->SetValueChecked(Variant(String(u"S")));
  box.Properties()->SetValueUnchecked(Variant(String(u"N")));
  // The unchecked value changed under the box: it now shows grayed.
  EXPECT_EQ(box.State(), cbsGrayed);
  box.SetChecked(true);
  EXPECT_TRUE(InternalVarEqualsExact(box.EditValue(), Variant(String(u"S"))));
  EXPECT_EQ(box.GetDisplayText(), u"True");
  box.SetState(cbsGrayed);
  EXPECT_TRUE(VarIsNull(box.EditValue()));
  box.Clear();
  EXPECT_TRUE(InternalVarEqualsExact(box.EditValue(), Variant(String(u"N"))));
  EXPECT_FALSE(box.Checked());
  // Any value other than the checked and unchecked ones shows grayed.
  box.SetEditValue(Variant(5));
  EXPECT_EQ(box.State(), cbsGrayed);
}

TEST_F(CheckBoxTest, SpaceHoldsTheBoxDownAndTogglesOnRelease) {
  TcxCheckBox* box = NewBoxOnForm();
  CheckBoxRecorder recorder;
  recorder.Attach(box);
  box->SetFocus();
  ASSERT_TRUE(box->Focused());

  os::InjectKey(VK_SPACE, true, u' ');
  Application->ProcessMessages();
  EXPECT_TRUE(box->IsCheckPressed());
  EXPECT_EQ(box->ViewInfo()->CheckBoxState, ecsPressed);
  EXPECT_EQ(box->State(), cbsUnchecked);
  EXPECT_TRUE(recorder.Log.empty());
  os::InjectKey(VK_SPACE, false, u' ');
  Application->ProcessMessages();
  EXPECT_FALSE(box->IsCheckPressed());
  EXPECT_EQ(box->State(), cbsChecked);
  EXPECT_EQ(recorder.Log, (Events{"Click 1", "Change 1"}));

  PressKey(VK_SPACE, u' ');
  EXPECT_EQ(box->State(), cbsUnchecked);

  // Leaving the box while the key is held cancels the pressed look and the toggle.
  recorder.Log.clear();
  os::InjectKey(VK_SPACE, true, u' ');
  Application->ProcessMessages();
  ASSERT_TRUE(box->IsCheckPressed());
  other_->SetFocus();
  Application->ProcessMessages();
  EXPECT_FALSE(box->IsCheckPressed());
  EXPECT_NE(box->ViewInfo()->CheckBoxState, ecsPressed);
  os::InjectKey(VK_SPACE, false, u' ');
  Application->ProcessMessages();
  EXPECT_EQ(box->State(), cbsUnchecked);
  EXPECT_TRUE(recorder.Log.empty());
}

TEST_F(CheckBoxTest, MouseClicksCycleTheStates) {
  struct Case {
    bool AllowGrayed;
    std::vector<TcxCheckBoxState> Expected;
  };
  const Case cases[] = {
      {false, {cbsChecked, cbsUnchecked, cbsChecked}},
      {true, {cbsGrayed, cbsChecked, cbsUnchecked}},
  };
  TcxCheckBox* box = NewBoxOnForm();
  CheckBoxRecorder recorder;
  recorder.Attach(box);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.AllowGrayed);
    box->SetState(cbsUnchecked);
    box->Properties()->SetAllowGrayed(c.AllowGrayed);
    recorder.Log.clear();
    std::vector<TcxCheckBoxState> seen;
    for (size_t i = 0; i < c.Expected.size(); ++i) {
      ClickAt(box, TPoint{8, 10});
      seen.push_back(box->State());
    }
    EXPECT_EQ(seen, c.Expected);
    EXPECT_TRUE(box->Focused());
    // The click event comes from the state change alone: once a click.
    int clicks = 0;
    for (const std::string& e : recorder.Log) clicks += e.rfind("Click", 0) == 0;
    EXPECT_EQ(clicks, static_cast<int>(c.Expected.size()));
  }
}

TEST_F(CheckBoxTest, AReleaseOutsideTheBoxDoesNotToggle) {
  TcxCheckBox* box = NewBoxOnForm();
  const TPoint inside = box->ClientToScreen(TPoint{8, 10});
  const TPoint outside = box->ClientToScreen(TPoint{8, 60});
  os::InjectMouseMove(POINT{inside.X, inside.Y});
  os::InjectMouseButton(WM_LBUTTONDOWN, POINT{inside.X, inside.Y});
  Application->ProcessMessages();
  EXPECT_EQ(box->ViewInfo()->CheckBoxState, ecsPressed);
  os::InjectMouseMove(POINT{outside.X, outside.Y});
  os::InjectMouseButton(WM_LBUTTONUP, POINT{outside.X, outside.Y});
  Application->ProcessMessages();
  EXPECT_EQ(box->State(), cbsUnchecked);
}

TEST_F(CheckBoxTest, InplaceBoxTogglesOnASpaceAndPostsWithImmediatePost) {
  form_ = NewPlainForm(300, 100);
  auto* box = static_cast<TcxCheckBox*>(TcxCustomEdit::CreateInplace(TcxCheckBox::StaticClass(), form_));
  box->SetParent(form_);
  box->SetBounds(10, 10, 60, 20);
  ShowAndUpdate(form_);
  box->Properties()->SetImmediatePost(true);
  int posts = 0;
  struct Counter {
    int* N;
    void Post(TObject*) { ++*N; }
  } counter{&posts};
  box->OnPostEditValue = MakeMethod(&counter, &Counter::Post);
  // A space handed over without its key down (an activation by key) toggles at once.
  SendKeyPress(box, u' ');
  EXPECT_EQ(box->State(), cbsChecked);
  EXPECT_EQ(posts, 1);
  box->Toggle();
  EXPECT_EQ(box->State(), cbsUnchecked);
  EXPECT_EQ(posts, 2);
  // Without a caption and UseAlignmentWhenInplace the box is centred and no text is shown.
  box->ShortRefreshContainer(false);
  TcxCustomCheckBoxViewInfo* viewInfo = box->ViewInfo();
  EXPECT_EQ(viewInfo->Alignment, taCenter);
  const TRect r = viewInfo->CheckBoxRect;
  EXPECT_LE(std::abs((r.Left + r.Right) - (viewInfo->ClientRect.Left + viewInfo->ClientRect.Right)), 1);
  box->Properties()->SetUseAlignmentWhenInplace(true);
  box->ShortRefreshContainer(false);
  EXPECT_EQ(box->ViewInfo()->Alignment, taLeftJustify);
}

TEST_F(CheckBoxTest, ReadOnlyBoxIgnoresToggles) {
  TcxCheckBox* box = NewBoxOnForm();
  box->Properties()->SetReadOnly(true);
  box->SetFocus();
  PressKey(VK_SPACE, u' ');
  ClickAt(box, TPoint{8, 10});
  EXPECT_EQ(box->State(), cbsUnchecked);
}

TEST_F(CheckBoxTest, AcceleratorFocusesAndToggles) {
  TcxCheckBox* box = NewBoxOnForm(u"&Ativo");
  other_->SetFocus();
  TMessage m{};
  m.Msg = CM_DIALOGCHAR;
  m.WParam = u'a';
  box->WindowProc(m);
  EXPECT_EQ(m.Result, 1);
  EXPECT_TRUE(box->Focused());
  EXPECT_EQ(box->State(), cbsChecked);
  m.WParam = u'x';
  m.Result = 0;
  box->WindowProc(m);
  EXPECT_EQ(m.Result, 0);
  EXPECT_EQ(box->State(), cbsChecked);
}

// --- Stored forms
// --------------------------------------------------------------------------------------------

TEST_F(CheckBoxTest, LegacyCaptionOfTheProperties) {
  TcxCheckBox box(nullptr);
  ReadComponentFromText(
      u"object cxCheckBox1: TcxCheckBox\n"
      u"  Properties.Caption = 'Manter conectado'\n"
      u"  State = cbsChecked\n"
      u"end\n",
      &box);
  EXPECT_EQ(box.Caption(), u"Manter conectado");
  EXPECT_EQ(box.State(), cbsChecked);
  // Written back as the control's caption only.
  const String text = WriteComponentToText(&box);
  EXPECT_EQ(text.find(u"Properties.Caption"), String::npos) << StringToUtf8(text);
  EXPECT_NE(text.find(u"Caption = 'Manter conectado'"), String::npos) << StringToUtf8(text);
  // A caption given later survives the next change of the properties.
  box.SetCaption(u"Novo");
  box.Properties()->SetAllowGrayed(true);
  EXPECT_EQ(box.Caption(), u"Novo");
}

TEST_F(CheckBoxTest, StoredStateMeetsTheStoredValues) {
  TcxCheckBox box(nullptr);
  box.SetName(u"Box");
  box.Properties()->SetValueChecked(Variant(String(u"S")));
  box.Properties()->SetValueUnchecked(Variant(String(u"N")));
  box.SetChecked(true);
  const String text = WriteComponentToText(&box);
  EXPECT_NE(text.find(u"Properties.ValueChecked = 'S'"), String::npos) << StringToUtf8(text);
  EXPECT_NE(text.find(u"State = cbsChecked"), String::npos) << StringToUtf8(text);
  EXPECT_EQ(text.find(u"ValueGrayed"), String::npos) << StringToUtf8(text);

  // The state read before the values that make it still lands on the right value.
  TcxCheckBox copy(nullptr);
  CheckBoxRecorder recorder;
  recorder.Attach(&copy);
  ReadComponentFromText(
      u"object Box: TcxCheckBox\n"
      u"  State = cbsChecked\n"
      u"  Properties.ValueChecked = 'S'\n"
      u"  Properties.ValueUnchecked = 'N'\n"
      u"end\n",
      &copy);
  EXPECT_EQ(copy.State(), cbsChecked);
  EXPECT_TRUE(InternalVarEqualsExact(copy.EditValue(), Variant(String(u"S"))));
  EXPECT_TRUE(recorder.Log.empty());

  // Without a stored state a loaded box is unchecked.
  TcxCheckBox plain(nullptr);
  ReadComponentFromText(u"object Box: TcxCheckBox\n  Properties.ValueUnchecked = 'N'\nend\n", &plain);
  EXPECT_TRUE(InternalVarEqualsExact(plain.EditValue(), Variant(String(u"N"))));
}

// --- Registration and the filter helper
// ---------------------------------------------------------------------

TEST_F(CheckBoxTest, StartUpRegistersThePropertiesAndTheFilterHelper) {
  cxCheckBox::Initialize();
  TcxRegisteredClasses* registered = GetRegisteredEditProperties();
  EXPECT_EQ(registered->FindByClassName(u"TcxCheckBoxProperties"), TcxCheckBoxProperties::StaticClass());
  EXPECT_EQ(registered->GetDescriptionByClass(TcxCheckBoxProperties::StaticClass()), u"CheckBox");
  EXPECT_EQ(registered->GetHintByClass(TcxCheckBoxProperties::StaticClass()),
            u"Represents a check box control that allows selecting an option");
  EXPECT_EQ(FilterEditsController()->FindHelper(TcxCheckBoxProperties::StaticClass()),
            TcxFilterCheckBoxHelper::Class());
  // A stored form can hold a check box.
  form_ = NewPlainForm();
  ReadComponentFromText(
      u"object Form: TForm\n"
      u"  object Lembrar: TcxCheckBox\n"
      u"    Left = 8\n"
      u"    Top = 8\n"
      u"    Caption = 'Lembrar'\n"
      u"    State = cbsChecked\n"
      u"  end\n"
      u"end\n",
      form_);
  auto* box = dynamic_cast<TcxCheckBox*>(form_->FindComponent(u"Lembrar"));
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(box->Caption(), u"Lembrar");
  cxCheckBox::Finalize();
  EXPECT_EQ(GetClass("TcxCheckBox"), nullptr);
  EXPECT_TRUE(!FilterEditsControllerAssigned() ||
              FilterEditsController()->FindHelper(TcxCheckBoxProperties::StaticClass()) == nullptr);
}

TEST_F(CheckBoxTest, FilterItemsStandForTheCheckedAndUncheckedValues) {
  TcxCheckBoxProperties p(nullptr);
  p.SetValueChecked(Variant(String(u"S")));
  p.SetValueUnchecked(Variant(String(u"N")));
  p.SetDisplayChecked(u"Sim");
  p.SetDisplayUnchecked(u"Não");
  TStringList items;
  TcxFilterCheckBoxHelper::GetFilterItems(&p, &items);
  ASSERT_EQ(items.Count(), 2);
  EXPECT_EQ(items.Strings(0), u"Sim");
  EXPECT_EQ(items.Strings(1), u"Não");
  EXPECT_TRUE(
      InternalVarEqualsExact(TcxFilterCheckBoxHelper::ItemIndexToValue(&p, 0), Variant(String(u"S"))));
  EXPECT_TRUE(
      InternalVarEqualsExact(TcxFilterCheckBoxHelper::ItemIndexToValue(&p, 1), Variant(String(u"N"))));
  EXPECT_TRUE(VarIsNull(TcxFilterCheckBoxHelper::ItemIndexToValue(&p, -1)));
  EXPECT_EQ(TcxFilterCheckBoxHelper::ValueToItemIndex(&p, Variant(String(u"S"))), 0);
  EXPECT_EQ(TcxFilterCheckBoxHelper::ValueToItemIndex(&p, Variant(String(u"N"))), 1);
  EXPECT_EQ(TcxFilterCheckBoxHelper::ValueToItemIndex(&p, Null()), -1);
  const TcxFilterEditHelperClass helper = TcxFilterCheckBoxHelper::Class();
  EXPECT_EQ(helper->GetSupportedFilterOperators(&p, nullptr),
            (TcxFilterControlOperators{fcoEqual, fcoNotEqual, fcoBlanks, fcoNonBlanks}));
  EXPECT_EQ(helper->GetFilterDataType(nullptr), fdtCheck);
  EXPECT_TRUE(helper->UseDisplayValue());
}

}  // namespace
}  // namespace qd::testing

namespace qd::testing {
namespace {

// --- Pictures
// ------------------------------------------------------------------------------------------------

class CheckBoxPictureTest : public CheckBoxTest {
 protected:
  // The pixels of the box's inside (three pixels in from its edge), row by row.
  static std::vector<uint32_t> BoxInside(const os::WindowPixels& APixels, TcxCheckBox* ABox) {
    const TRect box = ABox->ViewInfo()->CheckBoxRect;
    const TPoint origin = ABox->ClientToScreen(TPoint{0, 0});
    const TPoint formOrigin = ABox->Parent()->ClientToScreen(TPoint{0, 0});
    std::vector<uint32_t> result;
    for (int y = box.Top + 3; y < box.Bottom - 3; ++y)
      for (int x = box.Left + 3; x < box.Right - 3; ++x) {
        const int px = x + origin.X - formOrigin.X;
        const int py = y + origin.Y - formOrigin.Y;
        result.push_back(APixels.pixels[static_cast<size_t>(py) * APixels.width + px] & 0xFFFFFF);
      }
    return result;
  }
  static int Differences(const std::vector<uint32_t>& A, const std::vector<uint32_t>& B) {
    int result = 0;
    for (size_t i = 0; i < std::min(A.size(), B.size()); ++i) result += A[i] != B[i];
    return result;
  }
};

// Every state under the native painter (top row) and the UltraFlat painter (bottom row):
// unchecked, checked, grayed, grayed shown inactive, grayed shown unchecked, disabled checked.
TEST_F(CheckBoxPictureTest, EveryStateUnderTwoPainters) {
  form_ = NewPlainForm(640, 90);
  form_->SetColor(clBtnFace);
  struct Column {
    TcxCheckBoxState State;
    TcxCheckBoxNullValueShowingStyle NullStyle;
    bool Enabled;
    const char16_t* Caption;
  };
  const Column columns[] = {
      {cbsUnchecked, nssGrayedChecked, true, u"Unchecked"},
      {cbsChecked, nssGrayedChecked, true, u"Checked"},
      {cbsGrayed, nssGrayedChecked, true, u"Grayed"},
      {cbsGrayed, nssInactive, true, u"Inactive"},
      {cbsGrayed, nssUnchecked, true, u"As unchecked"},
      {cbsChecked, nssGrayedChecked, false, u"Disabled"},
  };
  std::vector<std::vector<TcxCheckBox*>> rows(2);
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 6; ++col) {
      auto* box = new TcxCheckBox(form_);
      box->SetParent(form_);
      box->SetEditAutoSize(false);
      box->SetBounds(5 + col * 105, 10 + row * 40, 100, 21);
      box->SetCaption(columns[col].Caption);
      box->Properties()->SetAllowGrayed(true);
      box->Properties()->SetNullStyle(columns[col].NullStyle);
      box->SetState(columns[col].State);
      box->SetEnabled(columns[col].Enabled);
      if (row == 1) {
        box->Style()->LookAndFeel()->SetNativeStyle(false);
        box->Style()->LookAndFeel()->SetKind(lfUltraFlat);
      }
      rows[static_cast<size_t>(row)].push_back(box);
    }
  ShowAndUpdate(form_);
  for (auto& row : rows)
    for (TcxCheckBox* box : row) box->ShortRefreshContainer(false);
  UpdateWindow(form_->Handle());
  SaveWindowPng(form_->Handle(), "checkbox_states");

  const os::WindowPixels pixels = os::ReadWindowPixels(form_->Handle(), true);
  for (int row = 0; row < 2; ++row) {
    SCOPED_TRACE(row == 0 ? "native" : "ultraflat");
    auto& boxes = rows[static_cast<size_t>(row)];
    EXPECT_EQ(boxes[1]->ViewInfo()->NativeStyle, row == 0);
    const std::vector<uint32_t> unchecked = BoxInside(pixels, boxes[0]);
    ASSERT_FALSE(unchecked.empty());
    // Plain inside: one colour.
    EXPECT_EQ(Differences(unchecked, std::vector<uint32_t>(unchecked.size(), unchecked[0])), 0);
    EXPECT_GT(Differences(BoxInside(pixels, boxes[1]), unchecked), 5);
    EXPECT_GT(Differences(BoxInside(pixels, boxes[2]), unchecked), 5);
    // A grayed box with the unchecked null style looks exactly unchecked.
    EXPECT_EQ(Differences(BoxInside(pixels, boxes[4]), unchecked), 0);
    // The box draws no frame of its own around the editor: the corner shows the form.
    const TPoint corner = boxes[3]->ClientToScreen(TPoint{0, 0});
    const TPoint formOrigin = form_->ClientToScreen(TPoint{0, 0});
    const uint32_t c =
        pixels
            .pixels[static_cast<size_t>(corner.Y - formOrigin.Y) * pixels.width + (corner.X - formOrigin.X)];
    EXPECT_EQ(c & 0xFFFFFF, static_cast<uint32_t>(ColorToRGB(clBtnFace)) & 0xFFFFFF);
  }
}

}  // namespace
}  // namespace qd::testing

namespace qd::testing {
namespace {

// --- Glyphs
// ---------------------------------------------------------------------------------------------------

// A glyph of ACount 10 x 10 images, each one solid colour of kGlyphColors.
constexpr TColor kGlyphColors[] = {clRed, clLime, clBlue, clYellow, clAqua, clFuchsia};

std::unique_ptr<TdxSmartGlyph> MakeGlyph(int32_t ACount) {
  TRGBColors bits(static_cast<size_t>(10 * ACount * 10));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10 * ACount; ++x) {
      const TColor c = kGlyphColors[x / 10];
      RGBQUAD& q = bits[static_cast<size_t>(y * 10 * ACount + x)];
      q.rgbRed = GetRValue(c);
      q.rgbGreen = GetGValue(c);
      q.rgbBlue = GetBValue(c);
      q.rgbReserved = 255;
      // The top row is transparent.
      if (y == 0) q = RGBQUAD{0, 0, 0, 0};
    }
  auto glyph = std::make_unique<TdxSmartGlyph>();
  glyph->LoadFromBits(10 * ACount, 10, bits, true);
  return glyph;
}

class CheckBoxGlyphTest : public CheckBoxTest {
 protected:
  void SetUp() override {
    CheckBoxTest::SetUp();
    ASSERT_TRUE(InitializePictureUnits());
  }
  void TearDown() override {
    forms::Finalize();
    forms::Initialize();
    FinalizePictureUnits();
    CheckBoxTest::TearDown();
  }
  // The colour at the centre of the box drawn with the glyph on a white background.
  TColor DrawnColor(TdxSmartGlyph* AGlyph, int32_t ACount, TcxCheckBoxState AState,
                    TcxEditCheckState ACheckState,
                    TcxCheckBoxNullValueShowingStyle ANullStyle = nssGrayedChecked) {
    TcxBitmap32 bitmap(10, 10, true);
    TcxCanvas* canvas = bitmap.cxCanvas();
    canvas->FillRect(TRect{0, 0, 10, 10}, clWhite);
    TdxScaleFactor scale;
    DrawScaledEditCheck(canvas, TRect{0, 0, 10, 10}, AState, ACheckState, AGlyph, ACount, cbsNone, false,
                        clDefault, clWhite, false, false, false, true, nullptr, &scale, ANullStyle);
    return static_cast<TColor>(GetPixel(canvas->Handle(), 5, 5));
  }
};

TEST_F(CheckBoxGlyphTest, TheGlyphImageOfEachState) {
  struct Case {
    const char* Name;
    int32_t Count;
    TcxCheckBoxState State;
    TcxEditCheckState CheckState;
    TcxCheckBoxNullValueShowingStyle NullStyle;
    int32_t Image;
  };
  const Case cases[] = {
      {"six: checked", 6, cbsChecked, ecsNormal, nssGrayedChecked, 1},
      {"six: grayed pressed", 6, cbsGrayed, ecsPressed, nssGrayedChecked, 5},
      {"six: grayed shown unchecked", 6, cbsGrayed, ecsHot, nssUnchecked, 0},
      {"one: checked pressed", 1, cbsChecked, ecsPressed, nssGrayedChecked, 0},
      {"one: grayed", 1, cbsGrayed, ecsNormal, nssGrayedChecked, 0},
      // Two images cannot hold a grayed one: the box shows one of its own images rather than
      // a blank taken from beyond the glyph.
      {"two: grayed", 2, cbsGrayed, ecsNormal, nssGrayedChecked, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    std::unique_ptr<TdxSmartGlyph> glyph = MakeGlyph(c.Count);
    EXPECT_EQ(ColorToRGB(DrawnColor(glyph.get(), c.Count, c.State, c.CheckState, c.NullStyle)),
              ColorToRGB(kGlyphColors[c.Image]));
  }
  // The glyph's transparent pixels leave the background.
  {
    std::unique_ptr<TdxSmartGlyph> glyph = MakeGlyph(6);
    TcxBitmap32 bitmap(10, 10, true);
    TcxCanvas* canvas = bitmap.cxCanvas();
    canvas->FillRect(TRect{0, 0, 10, 10}, clWhite);
    TdxScaleFactor scale;
    DrawScaledEditCheck(canvas, TRect{0, 0, 10, 10}, cbsChecked, ecsNormal, glyph.get(), 6, cbsNone, false,
                        clDefault, clWhite, false, false, false, true, nullptr, &scale);
    EXPECT_EQ(ColorToRGB(static_cast<TColor>(GetPixel(canvas->Handle(), 5, 0))), ColorToRGB(clWhite));
  }
  // A disabled box draws its image disabled-looking.
  std::unique_ptr<TdxSmartGlyph> glyph = MakeGlyph(6);
  EXPECT_NE(ColorToRGB(DrawnColor(glyph.get(), 6, cbsChecked, ecsDisabled)), ColorToRGB(kGlyphColors[1]));
}

TEST_F(CheckBoxGlyphTest, TheBoxTakesTheSizeOfOneImage) {
  TcxCheckBox box(nullptr);
  std::unique_ptr<TdxSmartGlyph> glyph = MakeGlyph(4);
  box.Properties()->SetGlyph(glyph.get());
  box.Properties()->SetGlyphCount(4);
  TdxScaleFactor scale;
  EXPECT_EQ(GetScaledEditCheckSize(nullptr, false, box.Properties()->Glyph(), 4, nullptr, &scale),
            (TSize{10, 10}));
  scale.Assign(3, 2, false);
  EXPECT_EQ(GetScaledEditCheckSize(nullptr, false, box.Properties()->Glyph(), 4, nullptr, &scale),
            (TSize{15, 15}));
  // Without a glyph the painter's check size.
  EXPECT_EQ(GetScaledEditCheckSize(nullptr, false, nullptr, 6, nullptr, &scale),
            cxLookAndFeelPaintersManager()->GetPainter(lfsStandard)->ScaledCheckButtonSize(&scale));
}

}  // namespace
}  // namespace qd::testing

namespace qd::testing {
namespace {

// Every border style (rows: none, single, thick, flat, 3D, UltraFlat, Office11, then native)
// in every state (columns: unchecked, checked, grayed, each normal, hot, pressed and disabled);
// the picture is written three times enlarged.
TEST_F(CheckBoxTest, EveryBorderStyleInEveryCheckState) {
  constexpr int kBox = 13;
  constexpr int kStep = 17;
  const TcxEditBorderStyle styles[] = {cbsNone, cbsSingle,    cbsThick,   cbsFlat,
                                       cbs3D,   cbsUltraFlat, cbsOffice11};
  const int rows = 8;
  TcxBitmap32 bitmap(12 * kStep + 4, rows * kStep + 4, true);
  TcxCanvas* canvas = bitmap.cxCanvas();
  canvas->FillRect(TRect{0, 0, bitmap.Width(), bitmap.Height()}, clBtnFace);
  TdxScaleFactor scale;
  auto boxRect = [&](int row, int col) {
    return TRect{4 + col * kStep, 4 + row * kStep, 4 + col * kStep + kBox, 4 + row * kStep + kBox};
  };
  for (int row = 0; row < rows; ++row)
    for (int col = 0; col < 12; ++col) {
      const auto state = static_cast<TcxCheckBoxState>(col / 4);
      const auto checkState = static_cast<TcxEditCheckState>(col % 4);
      const bool native = row == 7;
      DrawScaledEditCheck(canvas, boxRect(row, col), state, checkState, nullptr, 0,
                          native ? cbsSingle : styles[row], native, clBtnShadow, clWindow, true, false, false,
                          true, nullptr, &scale);
    }
  // Written next to the other pictures of failed or looked-at tests.
  TRGBColors colors;
  bitmap.GetBitmapColors(colors);
  std::vector<uint32_t> px(colors.size());
  const int w = bitmap.Width(), h = bitmap.Height();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const RGBQUAD q = colors[static_cast<size_t>((h - 1 - y) * w + x)];
      px[static_cast<size_t>(y * w + x)] =
          0xFF000000u | (uint32_t{q.rgbRed} << 16) | (uint32_t{q.rgbGreen} << 8) | q.rgbBlue;
    }
  auto inside = [&](int row, int col) {
    const TRect r = cxRectInflate(boxRect(row, col), -2);
    std::vector<uint32_t> result;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) result.push_back(px[static_cast<size_t>(y * w + x)]);
    return result;
  };
  std::vector<uint32_t> enlarged(static_cast<size_t>(9 * w * h));
  for (int y = 0; y < 3 * h; ++y)
    for (int x = 0; x < 3 * w; ++x)
      enlarged[static_cast<size_t>(y * 3 * w + x)] = px[static_cast<size_t>((y / 3) * w + x / 3)];
  std::vector<uint8_t> png;
  if (codecs::Encode(codecs::MakeImage(3 * w, 3 * h, std::move(enlarged)), codecs::ImageFormat::PNG, png) ==
      codecs::Status::Ok) {
    TMemoryStream s;
    s.Write(png.data(), static_cast<int64_t>(png.size()));
    s.SaveToFile(String(u"" QD_BINARY_DIR "/checkbox_border_styles.png"));
  }
  for (int row = 0; row < rows; ++row) {
    SCOPED_TRACE(row);
    // Checked differs from unchecked, pressed from normal, disabled from normal.
    EXPECT_NE(inside(row, 4), inside(row, 0));
    EXPECT_NE(inside(row, 2), inside(row, 0));
    EXPECT_NE(inside(row, 3), inside(row, 0));
    // A grayed box shows a mark of its own (checked-looking by default).
    EXPECT_NE(inside(row, 8), inside(row, 0));
  }
}

}  // namespace
}  // namespace qd::testing

namespace qd::testing {
namespace {

// --- Fading, geometry and size
// ---------------------------------------------------------------------------------

TEST_F(CheckBoxTest, HoveringANativeBoxFadesItIn) {
  // The fader works through GDI+.
  gdiplus::RegisterModule();
  ASSERT_TRUE(CheckGdiPlus(false));
  TcxCheckBox* box = NewBoxOnForm();
  dxFader()->SetState(fasEnabled);
  other_->SetFocus();
  Application->ProcessMessages();
  TcxCustomCheckBoxViewInfo* viewInfo = box->ViewInfo();
  ASSERT_TRUE(viewInfo->NativeStyle);
  box->RefreshContainer(TPoint{100, 60}, cxmbNone, {}, true);
  ASSERT_EQ(box->ViewInfo()->CheckBoxState, ecsNormal);
  EXPECT_FALSE(box->ViewInfo()->FadingHelper()->GetActive());
  box->RefreshContainer(TPoint{8, 10}, cxmbNone, {}, true);
  ASSERT_EQ(box->ViewInfo()->CheckBoxState, ecsHot);
  EXPECT_TRUE(box->ViewInfo()->FadingHelper()->GetActive());
  // The fade runs on the fader's timer and ends.
  Run(500, 10);
  EXPECT_FALSE(box->ViewInfo()->FadingHelper()->GetActive());
  // Classic boxes do not fade.
  box->Style()->LookAndFeel()->SetNativeStyle(false);
  box->RefreshContainer(TPoint{100, 60}, cxmbNone, {}, true);
  box->RefreshContainer(TPoint{8, 10}, cxmbNone, {}, true);
  EXPECT_FALSE(box->ViewInfo()->FadingHelper()->GetActive());
  dxFader()->SetState(fasDisabled);
}

TEST_F(CheckBoxTest, BoxAndTextPlacesFollowTheAlignment) {
  TcxCheckBox* box = NewBoxOnForm(u"Texto");
  struct Case {
    TAlignment Alignment;
    bool RightToLeft;
  };
  const Case cases[] = {
      {taLeftJustify, false}, {taRightJustify, false}, {taLeftJustify, true}, {taCenter, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << int(c.Alignment) << " rtl " << c.RightToLeft);
    box->Properties()->Alignment()->SetHorz(c.Alignment);
    box->SetBiDiMode(c.RightToLeft ? bdRightToLeft : bdLeftToRight);
    box->ShortRefreshContainer(false);
    TcxCustomCheckBoxViewInfo* vi = box->ViewInfo();
    const TRect client = vi->ClientRect;
    const TRect check = vi->CheckBoxRect;
    const bool left = (c.Alignment == taLeftJustify) != c.RightToLeft;
    if (c.Alignment == taCenter) {
      EXPECT_LE(std::abs((check.Left + check.Right) - (client.Left + client.Right)), 1);
    } else if (left) {
      EXPECT_EQ(check.Left, client.Left + 2);
      EXPECT_EQ(vi->TextRect.Left, check.Right + 3);
    } else {
      EXPECT_EQ(check.Right, client.Right - 2);
      EXPECT_EQ(vi->TextRect.Right, check.Left - 3);
    }
    EXPECT_EQ(check.Top, client.Top + (client.Height() - check.Height()) / 2);
  }
}

TEST_F(CheckBoxTest, AutoSizeFitsTheBoxAndTheCaption) {
  TcxCheckBox* box = NewBoxOnForm(u"Lembrar senha");
  box->SetEditAutoSize(true);
  Application->ProcessMessages();
  const TSize check{box->ViewInfo()->CheckBoxRect.Width(), box->ViewInfo()->CheckBoxRect.Height()};
  ASSERT_GT(check.cx, 0);
  TcxScreenCanvas* canvas = cxScreenCanvas();
  canvas->SetFont(box->Style()->GetVisibleFont());
  const TSize text = canvas->TextExtent(u"Lembrar senha");
  canvas->Dormant();
  const TRect border = box->ViewInfo()->BorderExtent;
  // The frame's room, the box with twice the content offset, the gap and the caption.
  const int32_t boxPart = border.Left + border.Right + check.cx + 2 * 2;
  EXPECT_EQ(box->Width(), boxPart + 3 + text.cx);
  EXPECT_GE(box->Height(), check.cy + 2 * 2);
  // The caption grows the box.
  box->SetCaption(u"Lembrar senha neste computador");
  Application->ProcessMessages();
  EXPECT_GT(box->Width(), boxPart + 3 + text.cx);
  // Without a caption only the box remains.
  box->SetCaption(u"");
  Application->ProcessMessages();
  EXPECT_EQ(box->Width(), boxPart);
  // A centred box keeps its width.
  box->Properties()->Alignment()->SetHorz(taCenter);
  box->SetWidth(80);
  box->SetCaption(u"Texto");
  Application->ProcessMessages();
  EXPECT_EQ(box->Width(), 80);
}

TEST_F(CheckBoxTest, FocusRectFramesTheCaption) {
  TcxCheckBox* box = NewBoxOnForm(u"Ok");
  box->SetFocus();
  box->ShortRefreshContainer(false);
  TcxCustomCheckBoxViewInfo* vi = box->ViewInfo();
  ASSERT_FALSE(vi->FocusRect.IsEmpty());
  // Around the caption's own extent, not the whole text area.
  EXPECT_EQ(vi->FocusRect.Left, vi->TextRect.Left - 1);
  EXPECT_LT(vi->FocusRect.Right, vi->TextRect.Right);
  box->Properties()->SetFullFocusRect(true);
  box->ShortRefreshContainer(false);
  EXPECT_EQ(box->ViewInfo()->FocusRect.Right, std::min(vi->TextRect.Right + 1, vi->BorderRect.Right - 1));
  // None while unfocused.
  other_->SetFocus();
  Application->ProcessMessages();
  box->ShortRefreshContainer(false);
  EXPECT_TRUE(box->ViewInfo()->FocusRect.IsEmpty());
}

TEST_F(CheckBoxTest, EscapeIsWantedWhileTheValueIsModified) {
  TcxCheckBox* box = NewBoxOnForm();
  box->SetFocus();
  auto wantsAll = [&](bool AEscapeDown) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_ESCAPE] = AEscapeDown ? 0x80 : 0;
    SetKeyboardState(keys);
    const bool result = (SendMessageW(box->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS) != 0;
    keys[VK_ESCAPE] = 0;
    SetKeyboardState(keys);
    return result;
  };
  EXPECT_FALSE(wantsAll(true));
  PressKey(VK_SPACE, u' ');
  ASSERT_TRUE(box->GetModified());
  EXPECT_TRUE(wantsAll(true));
  EXPECT_FALSE(wantsAll(false));
  // Escape takes the box back to the state it had when it was entered.
  ASSERT_EQ(box->State(), cbsChecked);
  PressKey(VK_ESCAPE);
  EXPECT_EQ(box->State(), cbsUnchecked);
  EXPECT_FALSE(wantsAll(true));
}

}  // namespace
}  // namespace qd::testing

namespace qd::testing {
namespace {

TEST_F(CheckBoxTest, AMultiLineCaptionWrapsAndTheBoxGrowsDown) {
  TcxCheckBox* box = NewBoxOnForm(u"um texto bem comprido que quebra em linhas");
  box->SetEditAutoSize(true);
  Application->ProcessMessages();
  const int32_t singleLineHeight = box->Height();
  const int32_t singleLineWidth = box->Width();
  box->Properties()->SetMultiLine(true);
  box->SetWidth(90);
  Application->ProcessMessages();
  EXPECT_LT(box->Width(), singleLineWidth);
  EXPECT_GT(box->Height(), singleLineHeight);
  EXPECT_TRUE(box->ViewInfo()->DrawCaptionFlags & cxWordBreak);
  EXPECT_FALSE(box->ViewInfo()->DrawCaptionFlags & cxSingleLine);
  box->SetFocus();
  UpdateWindow(form_->Handle());
  SaveWindowPng(form_->Handle(), "checkbox_multiline");
  // The box takes its parent's colour.
  EXPECT_TRUE(box->ParentColor());
  const TPoint corner = box->ClientToScreen(TPoint{box->Width() - 2, box->Height() - 2});
  const TPoint origin = form_->ClientToScreen(TPoint{0, 0});
  EXPECT_EQ(
      os::ReadWindowPixels(form_->Handle(), true).At(corner.X - origin.X, corner.Y - origin.Y) & 0xFFFFFF,
      0xFFFFFFu);
  // An end ellipsis keeps one line.
  box->Properties()->SetMultiLine(false);
  box->Properties()->SetShowEndEllipsis(true);
  box->ShortRefreshContainer(false);
  EXPECT_TRUE(box->ViewInfo()->DrawCaptionFlags & cxShowEndEllipsis);
  EXPECT_TRUE(box->ViewInfo()->DrawCaptionFlags & cxSingleLine);
}

TEST_F(CheckBoxTest, TheFilterEditorIsAFixedListComboBoxOfTheTwoTexts) {
  TcxCheckBoxProperties p(nullptr);
  p.SetValueChecked(Variant(String(u"S")));
  p.SetValueUnchecked(Variant(String(u"N")));
  p.SetDisplayChecked(u"Sim");
  p.SetDisplayUnchecked(u"N\u00e3o");
  const TcxFilterEditHelperClass helper = TcxFilterCheckBoxHelper::Class();
  ASSERT_EQ(helper->GetFilterEditClass(), TcxComboBox::StaticClass());
  std::unique_ptr<TcxCustomEdit> edit(helper->GetFilterEdit(&p));
  auto* combo = ObjectCast<TcxComboBox>(edit.get());
  ASSERT_NE(combo, nullptr);
  form_ = NewPlainForm();
  combo->SetParent(form_);
  EXPECT_EQ(combo->ActiveProperties()->DropDownListStyle(), lsFixedList);
  ASSERT_EQ(combo->ActiveProperties()->Items()->Count(), 2);
  EXPECT_EQ(combo->ActiveProperties()->Items()->Strings(1), u"N\u00e3o");
  helper->SetFilterValue(combo, &p, Variant(String(u"N")));
  EXPECT_EQ(combo->ItemIndex(), 1);
  Variant v;
  String text;
  helper->GetFilterValue(combo, &p, v, text);
  EXPECT_TRUE(InternalVarEqualsExact(v, Variant(String(u"N"))));
  EXPECT_EQ(text, u"N\u00e3o");
  helper->SetFilterValue(combo, &p, Null());
  helper->GetFilterValue(combo, &p, v, text);
  EXPECT_TRUE(VarIsNull(v)) << "grayed selects no item";
  combo->SetParent(nullptr);
}

}  // namespace
}  // namespace qd::testing
