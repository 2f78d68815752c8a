// The base editor beyond its value: keys, clipboard routing, the inner edit, activation by
// key and by mouse, auto-size around an anchor, the filter-edit registry, the spell-checker
// slots and the unit's start-up (cursor and texts).
#include <gtest/gtest.h>

#include <memory>

#include "editors/edit_test_util.h"
#include "platform/forms/forms.h"
#include "platform/classes/filer.h"
#include "platform/forms/stdctrls.h"
#include "ui/editors/cxFilterEdits.h"
#include "ui/editors/dxSpellCheckerCore.h"
#include "ui/lookandfeel/dxFading.h"

namespace qd::testing {
namespace {

using Events = std::vector<std::string>;

// Measures its value as 10 pixels a character (at least 10) by 20.
class SizedEditViewData : public TcxCustomEditViewData {
  QD_CLASS_INLINE(SizedEditViewData, TcxCustomEditViewData)

 public:
  using TcxCustomEditViewData::TcxCustomEditViewData;
  TSize GetEditContentSize(TcxCanvas*, const Variant& AEditValue, const TcxEditSizeProperties&,
                           TcxEditValidateInfo*) override {
    const int32_t length = VarIsNull(AEditValue) ? 0 : static_cast<int32_t>(VarToStr(AEditValue).size());
    return TSize{std::max(10, 10 * length), 20};
  }
};

class SizedEditProperties : public TestEditProperties {
  QD_CLASS_INLINE(SizedEditProperties, TestEditProperties)

 public:
  using TestEditProperties::TestEditProperties;
  TClass GetViewDataClass() const override { return SizedEditViewData::StaticClass(); }
};

// An editor that shows its protected operations, records the ones a test watches, and sizes
// itself like a label (auto width, horizontal anchor).
class ProbeEdit : public TestEdit {
  QD_CLASS_INLINE(ProbeEdit, TestEdit)

 public:
  using TestEdit::TestEdit;
  TClass GetPropertiesClass() const override { return SizedEditProperties::StaticClass(); }
  using TestEdit::DoInnerControlDefaultHandler;
  using TestEdit::IsAutoHeight;
  using TestEdit::IsAutoWidth;
  using TestEdit::KeyDown;
  using TestEdit::KeyPress;
  void CopyToClipboard() override { Calls.push_back("Copy"); }
  void CutToClipboard() override { Calls.push_back("Cut"); }
  void PasteFromClipboard() override { Calls.push_back("Paste"); }
  bool CanKeyDownModifyEdit(WORD Key, TShiftState) override { return Key == VK_DELETE; }
  bool CanAutoWidth() override { return true; }
  bool UseAnchorX() override { return AnchorXUsed; }
  bool AnchorXUsed = true;
  std::vector<std::string> Calls;
};

struct EditRecorder {
  Events Events;
  void AfterKeyDown(TObject*, WORD&, TShiftState) { Events.push_back("AfterKeyDown"); }
  void ButtonClick(TObject*, int32_t AIndex) { Events.push_back("ButtonClick " + std::to_string(AIndex)); }
  void Validate(TObject*, Variant&, String&, bool&) { Events.push_back("Validate"); }
  void Editing(TObject*, bool& CanEdit) {
    Events.push_back("Editing");
    CanEdit = AllowEditing;
  }
  void DblClick(TObject*) { Events.push_back("DblClick"); }
  void KeyPress(TObject*, Char& Key) {
    Events.push_back("KeyPress " + std::string(1, static_cast<char>(Key)));
  }
  bool AllowEditing = true;
};

class EditInputTest : public EditTest {
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
  // An editor on a shown form, with a second control to move the focus to.
  // Forms stay until the fixture ends (Application owns them).
  ProbeEdit* NewEditOnForm() {
    form_ = NewPlainForm(300, 100);
    auto* edit = new ProbeEdit(form_);
    edit->SetParent(form_);
    edit->SetBounds(10, 10, 100, 21);
    other_ = new TButton(form_);
    other_->SetParent(form_);
    other_->SetBounds(10, 50, 80, 25);
    ShowAndUpdate(form_);
    return edit;
  }
  TForm* form_ = nullptr;
  TButton* other_ = nullptr;
};

// What a key does to the editor: whether it survives KeyDown and what the editor did.
TEST_F(EditInputTest, KeyDownTable) {
  struct Case {
    const char* Name;
    WORD Key;
    TShiftState Shift;
    std::function<void(ProbeEdit*, EditRecorder*)> Setup;
    bool KeySurvives;
    Events ExpectEvents;
    std::function<void(ProbeEdit*)> Check;
  };
  const Case cases[] = {
      {"clear key sets the clear value",
       VK_DELETE,
       {ssCtrl},
       [](ProbeEdit* e, EditRecorder*) {
         e->Properties()->SetClearKey(ShortCut(VK_DELETE, {ssCtrl}));
         e->SetEditValue(Variant(String(u"abc")));
       },
       false,
       {"Editing"},
       [](ProbeEdit* e) {
         EXPECT_TRUE(VarIsNull(e->EditValue()));
         EXPECT_TRUE(e->IsEditValidated());
       }},
      {"Enter validates with ValidateOnEnter",
       VK_RETURN,
       {},
       [](ProbeEdit* e, EditRecorder*) {
         e->Properties()->SetValidateOnEnter(true);
         e->SetValidatableEditValue(Variant(String(u"typed")));
       },
       false,
       {"Validate"},
       nullptr},
      {"Enter passes without ValidateOnEnter", VK_RETURN, {}, nullptr, true, {}, nullptr},
      {"Esc without a change passes", VK_ESCAPE, {}, nullptr, true, {}, nullptr},
      {"navigation key is eaten", VK_LEFT, {}, nullptr, false, {"AfterKeyDown"}, nullptr},
      // The codes of '-' and '.' are Insert and Delete.
      {"Insert is shown to OnAfterKeyDown", VK_INSERT, {}, nullptr, true, {"AfterKeyDown"}, nullptr},
      {"Shift+Insert (paste) is not", VK_INSERT, {ssShift}, nullptr, true, {}, nullptr},
      {"Delete refused by OnEditing",
       VK_DELETE,
       {},
       [](ProbeEdit*, EditRecorder* r) { r->AllowEditing = false; },
       false,
       {"Editing", "AfterKeyDown"},
       nullptr},
      {"click key clicks the default button",
       VK_RETURN,
       {ssCtrl},
       [](ProbeEdit* e, EditRecorder*) {
         TcxCustomEditButton* hidden = e->Properties()->Buttons()->Add();
         hidden->SetVisible(false);
         e->Properties()->Buttons()->Add();
         e->Properties()->Buttons()->Add()->SetDefault(true);
       },
       false,
       {"ButtonClick 2"},
       nullptr},
      {"click key without an enabled default button passes",
       VK_RETURN,
       {ssCtrl},
       [](ProbeEdit* e, EditRecorder*) {
         TcxCustomEditButton* b = e->Properties()->Buttons()->Add();
         b->SetDefault(true);
         b->SetEnabled(false);
       },
       true,
       {},
       nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    ProbeEdit edit(nullptr);
    EditRecorder recorder;
    if (c.Setup) c.Setup(&edit, &recorder);
    edit.OnAfterKeyDown = MakeMethod(&recorder, &EditRecorder::AfterKeyDown);
    edit.OnEditing = MakeMethod(&recorder, &EditRecorder::Editing);
    edit.Properties()->SetOnButtonClick(MakeMethod(&recorder, &EditRecorder::ButtonClick));
    edit.Properties()->SetOnValidate(MakeMethod(&recorder, &EditRecorder::Validate));
    recorder.Events.clear();
    WORD key = c.Key;
    edit.KeyDown(key, c.Shift);
    EXPECT_EQ(key != 0, c.KeySurvives);
    EXPECT_EQ(recorder.Events, c.ExpectEvents);
    if (c.Check) c.Check(&edit);
  }
}

TEST_F(EditInputTest, EscapeRestoresAndSwallowsTheNextKeyPress) {
  ProbeEdit edit(nullptr);
  edit.SetEditValue(Variant(String(u"saved")));
  edit.DoShowEdit();
  edit.SetValidatableEditValue(Variant(String(u"typed")));
  WORD key = VK_ESCAPE;
  edit.KeyDown(key, {});
  EXPECT_EQ(key, 0);
  EXPECT_EQ(edit.EditValue(), Variant(String(u"saved")));
  Char ch = 27;
  edit.KeyPress(ch);
  EXPECT_EQ(ch, 0);
  ch = u'a';
  edit.KeyPress(ch);  // only the one after Esc
  EXPECT_EQ(ch, u'a');
}

TEST_F(EditInputTest, TabMovesTheFocusUnlessOnAfterKeyDownClearsTheKey) {
  ProbeEdit* edit = NewEditOnForm();
  struct Clearer {
    bool Clear = false;
    void AfterKeyDown(TObject*, WORD& Key, TShiftState) {
      if (Clear) Key = 0;
    }
  } clearer;
  edit->OnAfterKeyDown = MakeMethod(&clearer, &Clearer::AfterKeyDown);
  for (bool clear : {true, false}) {
    SCOPED_TRACE(clear ? "cleared" : "passed");
    edit->SetFocus();
    ASSERT_TRUE(edit->Focused());
    clearer.Clear = clear;
    WORD key = VK_TAB;
    edit->KeyDown(key, {});
    EXPECT_EQ(key, 0);
    EXPECT_EQ(edit->Focused(), clear);
    EXPECT_EQ(GetFocus() == other_->Handle(), !clear);
  }
}

// Cut and paste reach the editor's clipboard operations only as the state allows.
TEST_F(EditInputTest, ClipboardMessagesTable) {
  struct Case {
    const char* Name;
    UINT Msg;
    bool ReadOnly;
    bool AllowEditing;
    std::vector<std::string> ExpectCalls;
  };
  const Case cases[] = {
      {"cut", WM_CUT, false, true, {"Cut"}},         {"cut refused copies", WM_CUT, false, false, {"Copy"}},
      {"cut read-only", WM_CUT, true, true, {}},     {"paste", WM_PASTE, false, true, {"Paste"}},
      {"paste refused", WM_PASTE, false, false, {}}, {"paste read-only", WM_PASTE, true, true, {}},
      {"copy", WM_COPY, true, false, {"Copy"}},
  };
  ProbeEdit* edit = NewEditOnForm();
  EditRecorder recorder;
  edit->OnEditing = MakeMethod(&recorder, &EditRecorder::Editing);
  edit->SetFocus();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    edit->Calls.clear();
    edit->Properties()->SetReadOnly(c.ReadOnly);
    recorder.AllowEditing = c.AllowEditing;
    edit->SetModifiedAfterEnter(false);
    edit->Perform(c.Msg);
    EXPECT_EQ(edit->Calls, c.ExpectCalls);
  }
}

// A minimal inner control: the editor talks to it through the inner-edit interface.
class ProbeInnerEdit : public TWinControl, public IcxCustomInnerEdit {
  QD_CLASS_INLINE(ProbeInnerEdit, TWinControl)

 public:
  using OwnerType = TComponent;
  explicit ProbeInnerEdit(TComponent* AOwner) : TWinControl(AOwner) {}
  TWinControl* GetControl() override { return this; }
  TcxContainer* GetControlContainer() override { return dynamic_cast<TcxContainer*>(Owner()); }
  LRESULT CallDefWndProc(UINT, WPARAM, LPARAM) override { return 0; }
  bool CanProcessClipboardMessages() override { return false; }
  Variant GetEditValue() override { return Variant(); }
  TNotifyEvent GetOnChange() override { return FOnChange; }
  void SetOnChange(const TNotifyEvent& Value) override { FOnChange = Value; }
  bool GetReadOnly() override { return FReadOnly; }
  void SetReadOnly(bool Value) override { FReadOnly = Value; }
  void LockBounds(bool) override {}
  void SafelySetFocus() override { SetFocus(); }
  void SetEditValue(const Variant&) override {}
  void SetParent(TWinControl* Value) override { TWinControl::SetParent(Value); }
  TNotifyEvent FOnChange;
  bool FReadOnly = false;
};

class InnerProbeEdit : public ProbeEdit {
  QD_CLASS_INLINE(InnerProbeEdit, ProbeEdit)

 public:
  using ProbeEdit::ProbeEdit;
  TClass GetInnerEditClass() override { return ProbeInnerEdit::StaticClass(); }
};

TEST_F(EditInputTest, InnerEditFollowsReadOnlyAndItsClipboardGoesToTheEditor) {
  TForm* form = NewPlainForm();
  auto* edit = new InnerProbeEdit(form);
  edit->SetParent(form);
  ShowAndUpdate(form);
  ASSERT_NE(edit->InnerEdit(), nullptr);
  auto* inner = static_cast<ProbeInnerEdit*>(edit->InnerEdit()->GetControl());
  EXPECT_EQ(edit->InnerControl(), inner);
  EXPECT_EQ(inner->Parent(), edit);
  EXPECT_FALSE(inner->FReadOnly);
  edit->Properties()->SetReadOnly(true);
  EXPECT_TRUE(inner->FReadOnly);
  edit->Properties()->SetReadOnly(false);
  EXPECT_FALSE(inner->FReadOnly);

  // An inner edit that cannot handle the clipboard hands cut and paste to the editor.
  TMessage paste{WM_PASTE, 0, 0, 0};
  EXPECT_TRUE(edit->InnerControlDefaultHandler(paste));
  EXPECT_EQ(edit->Calls, (std::vector<std::string>{"Paste"}));
  TMessage other{WM_CHAR, u'a', 0, 0};
  EXPECT_FALSE(edit->InnerControlDefaultHandler(other));
}

// After an activation by mouse, the next press within the double-click time is a double
// click; after the timer ran out it is an ordinary press.
TEST_F(EditInputTest, ActivationByMouseTurnsTheNextQuickPressIntoADoubleClick) {
  for (bool expired : {false, true}) {
    SCOPED_TRACE(expired ? "timer expired" : "within the double-click time");
    ProbeEdit* edit = NewEditOnForm();
    EditRecorder recorder;
    edit->OnDblClick = MakeMethod(&recorder, &EditRecorder::DblClick);
    TcxCustomEditData* data = nullptr;
    edit->ActivateByMouse({ssLeft}, 20, 20, data);
    SendMouseEvent(edit, WM_LBUTTONUP, {}, TPoint{10, 10});
    EXPECT_TRUE(edit->DblClickTimer()->Enabled());
    if (expired) {
      Clock().Advance(GetDoubleClickTime() + 10);
      Application->ProcessMessages();
      EXPECT_FALSE(edit->DblClickTimer()->Enabled());
    }
    SendMouseEvent(edit, WM_LBUTTONDOWN, {ssLeft}, TPoint{10, 10});
    SendMouseEvent(edit, WM_LBUTTONUP, {}, TPoint{10, 10});
    EXPECT_EQ(recorder.Events, expired ? Events{} : Events{"DblClick"});
    EXPECT_FALSE(edit->DblClickTimer()->Enabled());
  }
}

TEST_F(EditInputTest, ActivationByKeySendsTheKeyAsACharacter) {
  ProbeEdit* edit = NewEditOnForm();
  EditRecorder recorder;
  edit->OnKeyPress = MakeMethod(&recorder, &EditRecorder::KeyPress);
  edit->SetVisible(false);
  TcxCustomEditData* data = nullptr;
  edit->ActivateByKey(u'x', data);
  EXPECT_TRUE(edit->Visible());
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(recorder.Events, (Events{"KeyPress x"}));
}

// An auto-sized editor that uses its horizontal anchor keeps its right edge (its centre
// when centred) as its measured width changes; without the anchor it keeps its left edge.
TEST_F(EditInputTest, AutoWidthKeepsTheAnchor) {
  enum Kept { kLeft, kRight, kCentre };
  struct Case {
    const char* Name;
    TAlignment Alignment;
    bool UseAnchor;
    Kept Expect;
  };
  const Case cases[] = {
      {"right", taRightJustify, true, kRight},
      {"centre", taCenter, true, kCentre},
      {"left with the anchor", taLeftJustify, true, kRight},
      {"no anchor", taRightJustify, false, kLeft},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    ProbeEdit* edit = NewEditOnForm();
    edit->AnchorXUsed = c.UseAnchor;
    edit->Properties()->Alignment()->SetHorz(c.Alignment);
    edit->SetEditValue(Variant(String(u"a")));
    edit->SetBounds(101, 10, 0, 0);
    const int32_t w1 = edit->Width();
    const int32_t left = edit->Left();
    const int32_t right = left + w1;
    const int32_t centre = left + (w1 + 1) / 2;
    edit->SetEditValue(Variant(String(u"abcde")));
    edit->ShortRefreshContainer(false);
    const int32_t w2 = edit->Width();
    EXPECT_EQ(w2 - w1, 40);  // four more characters of 10 pixels
    switch (c.Expect) {
      case kLeft:
        EXPECT_EQ(edit->Left(), left);
        break;
      case kRight:
        EXPECT_EQ(edit->Left() + w2, right);
        EXPECT_EQ(edit->AnchorX(), right);
        break;
      case kCentre:
        EXPECT_EQ(edit->Left() + (w2 + 1) / 2, centre);
        EXPECT_EQ(edit->AnchorX(), centre);
        break;
    }
  }
}

TEST_F(EditInputTest, AutoSizeSwitches) {
  // In-place: nothing changes.
  ProbeEdit inplace(nullptr, true);
  EXPECT_FALSE(inplace.AutoSize());
  inplace.SetEditAutoSize(true);
  EXPECT_FALSE(inplace.AutoSize());

  // Stand-alone: on by default; anchored left and right means no auto width.
  ProbeEdit* edit = NewEditOnForm();
  EXPECT_TRUE(edit->AutoSize());
  EXPECT_TRUE(edit->IsAutoWidth());
  edit->SetAnchors({akLeft, akTop, akRight});
  EXPECT_FALSE(edit->IsAutoWidth());
  EXPECT_TRUE(edit->IsAutoHeight());
  edit->SetAnchors({akLeft, akTop});

  // Switching it back on resizes at once.
  edit->SetEditAutoSize(false);
  edit->SetBounds(10, 10, 300, 60);
  EXPECT_EQ(edit->Width(), 300);
  edit->SetEditAutoSize(true);
  EXPECT_NE(edit->Width(), 300);
  EXPECT_NE(edit->Height(), 60);
}

TEST(FilterEditsTest, RegistryFindsTheNearestAncestorAndGoesWithItsLastEntry) {
  static const TcxCustomFilterEditHelper* base = TcxCustomFilterEditHelper::Class();
  struct OtherHelper : TcxCustomFilterEditHelper {};
  static const OtherHelper other;
  EXPECT_FALSE(FilterEditsControllerAssigned());
  TcxFilterEditsController* controller = FilterEditsController();
  controller->Register(TcxCustomEditProperties::StaticClass(), base);
  controller->Register(TestEditProperties::StaticClass(), &other);
  EXPECT_EQ(controller->FindHelper(SizedEditProperties::StaticClass()), &other);
  EXPECT_EQ(controller->FindHelper(TestEditProperties::StaticClass()), &other);
  EXPECT_EQ(controller->FindHelper(TcxCustomEditProperties::StaticClass()), base);
  EXPECT_EQ(controller->FindHelper(nullptr), nullptr);
  EXPECT_EQ(controller->FindHelper(TcxEditAlignment::StaticClass()), nullptr);
  controller->Unregister(TestEditProperties::StaticClass(), &other);
  EXPECT_EQ(controller->FindHelper(SizedEditProperties::StaticClass()), base);
  controller->Unregister(TcxCustomEditProperties::StaticClass(), base);
  EXPECT_FALSE(FilterEditsControllerAssigned());
}

TEST(FilterEditsTest, OperatorsAndDataTypesByValueType) {
  const TcxCustomFilterEditHelper* helper = TcxCustomFilterEditHelper::Class();
  const TcxValueTypeClass text = TcxStringValueType::Class();
  const TcxValueTypeClass number = TcxIntegerValueType::Class();
  const TcxValueTypeClass date = TcxDateTimeValueType::Class();
  EXPECT_EQ(helper->GetFilterDataType(nullptr), fdtText);
  EXPECT_EQ(helper->GetFilterDataType(text), fdtText);
  EXPECT_EQ(helper->GetFilterDataType(number), fdtNumeric);
  EXPECT_EQ(helper->GetFilterDataType(date), fdtDate);

  const TcxFilterControlOperators forText = helper->GetSupportedFilterOperators(nullptr, text, false);
  EXPECT_TRUE(forText.Contains(fcoEqual));
  EXPECT_TRUE(forText.Contains(fcoLike));
  EXPECT_TRUE(forText.Contains(fcoNonBlanks));
  EXPECT_FALSE(forText.Contains(fcoBetween));
  EXPECT_FALSE(forText.Contains(fcoNone));
  const TcxFilterControlOperators forNumbers = helper->GetSupportedFilterOperators(nullptr, number, true);
  EXPECT_TRUE(forNumbers.Contains(fcoNotInList));
  EXPECT_FALSE(forNumbers.Contains(fcoYesterday));
  for (TcxFilterControlOperator op :
       {fcoLike, fcoNotLike, fcoContains, fcoNotContains, fcoBeginsWith, fcoEndsWith})
    EXPECT_FALSE(forNumbers.Contains(op));
}

TEST_F(EditTest, FilterPropertiesAreAFilteringCopy) {
  TestEditProperties source(nullptr), target(nullptr);
  EditEventLog log;
  source.SetOnChange(MakeMethod(&log, &EditEventLog::Change));
  source.SetReadOnly(true);
  source.SetBeepOnError(true);
  source.SetAutoSelect(false);
  TcxCustomFilterEditHelper::Class()->InitializeProperties(&target, &source, false);
  EXPECT_FALSE(target.AutoSelect());  // copied
  EXPECT_FALSE(target.ReadOnly());
  EXPECT_FALSE(target.BeepOnError());
  EXPECT_TRUE(target.ValidateOnEnter());
  EXPECT_EQ(target.Alignment()->Horz(), taLeftJustify);
  EXPECT_EQ(target.Alignment()->Vert(), taVCenter);
  EXPECT_FALSE(target.OnChange().Assigned());
}

struct FakeSpellChecker : TObject, IdxSpellChecker, IdxSpellChecker2 {
  Events Events;
  void CheckStart(TWinControl*) override { Events.push_back("CheckStart"); }
  void CheckFinish() override { Events.push_back("CheckFinish"); }
  void KeyPress(TWinControl*, Char&) override { Events.push_back("KeyPress"); }
  bool QueryPopup(TComponent*, const TPoint&) override { return true; }
  void KeyDown(TWinControl*, WORD&, TShiftState) override { Events.push_back("KeyDown"); }
  void KeyUp(TWinControl*, WORD&, TShiftState) override { Events.push_back("KeyUp"); }
};

TEST_F(EditTest, SpellCheckerSlotsAreEmptyUntilOneIsInstalled) {
  dxSpellCheckerCore::Initialize();
  EXPECT_EQ(cxContextPopupHookFunc, &dxSpellCheckerContextPopupHook);
  ProbeEdit edit(nullptr);
  EXPECT_FALSE(dxSpellCheckerContextPopupHook(&edit, nullptr, TPoint{}));
  FakeSpellChecker checker;
  TdxSpellCheckerInstance::SetSpellChecker(&checker);
  EXPECT_EQ(TdxSpellCheckerInstance::ISpellChecker3(), nullptr);
  WORD key = u'A';
  edit.KeyDown(key, {});
  Char ch = u'a';
  edit.KeyPress(ch);
  EXPECT_EQ(checker.Events, (Events{"KeyDown", "KeyPress"}));
  EXPECT_TRUE(dxSpellCheckerContextPopupHook(&edit, nullptr, TPoint{}));
  dxSpellCheckerCore::Finalize();
  EXPECT_EQ(TdxSpellCheckerInstance::ISpellChecker(), nullptr);
  EXPECT_EQ(cxContextPopupHookFunc, nullptr);
}

TEST_F(EditTest, StartUpRegistersTheWheelCursorAndTheTexts) {
  EXPECT_NE(Screen->Cursors(crcxEditMouseWheel), Screen->Cursors(crDefault));
  struct Product {
    TdxAddResourceStringsProcedure Add;
    int32_t Count;
    const Char* Name;
    const Char* Text;
  };
  const Product products[] = {
      {&AddEditorsResourceStringNames, 224, u"cxSEditValueOutOfBounds", u"Value out of bounds"},
      {&AddcxExtEditResourceStringNames, 44, u"scxSEditRepositoryColorComboBoxItem",
       u"ColorComboBox|Represents a combo box to allow selection of a color"},
      {&AddBrisvaneFilterControlResourceStringNames, 35, u"cxSFilterControlDialogFileFilter",
       u"Filters (*.flt)|*.flt"},
  };
  for (const Product& p : products) {
    const String name = p.Name;
    SCOPED_TRACE(std::string(name.begin(), name.end()));
    TdxProductResourceStrings product(u"test", nullptr);
    p.Add(&product);
    EXPECT_EQ(product.ResStringsCount(), p.Count);  // every name once
    const int32_t index = product.GetIndexByName(p.Name);
    ASSERT_GE(index, 0);
    EXPECT_EQ(product.Values(index), String(p.Text));
  }
  EXPECT_EQ(cxGetResourceString(cxSMenuItemCaptionAssignFromWebCam), u"Assign From Ca&mera...");
}

}  // namespace
}  // namespace qd::testing

namespace qd::testing {
namespace {

class AnchorForm : public TForm {
  QD_CLASS_INLINE(AnchorForm, TForm)
  QD_PUBLISHED(AnchorForm)

 public:
  using TForm::TForm;
  ProbeEdit* Edit1 = nullptr;
};

void AnchorForm::RegisterProperties(TPropertyRegistrar& r) {
  r.Field("Edit1", &AnchorForm::Edit1);
}

// The first size after loading keeps the anchor read from the form, scaled with the form;
// the auto-sized width is not stored, the anchor is.
TEST_F(EditInputTest, StoredAnchorIsKeptAndScaled) {
  const String text =
      uR"(object F: AnchorForm
  BorderStyle = bsNone
  ClientWidth = 400
  ClientHeight = 100
  PixelsPerInch = 96
  object Edit1: ProbeEdit
    Left = 20
    Top = 10
    AnchorX = 150
  end
end
)";
  struct Case {
    UINT Dpi;
    int32_t ExpectRight;
  };
  for (const Case& c : {Case{96, 150}, Case{144, 225}}) {
    SCOPED_TRACE(c.Dpi);
    forms::Finalize();
    os::SetSystemDpi(c.Dpi);
    forms::Initialize();
    RegisterStoredForm(u"AnchorForm", text);
    RegisterClass(ProbeEdit::StaticClass());
    auto* form = NewForm<AnchorForm>(Application);
    ASSERT_NE(form->Edit1, nullptr);
    form->Edit1->SetEditValue(Variant(String(u"abc")));
    ShowAndUpdate(form);
    form->Edit1->ShortRefreshContainer(false);
    EXPECT_EQ(form->Edit1->Left() + form->Edit1->Width(), c.ExpectRight);
    EXPECT_EQ(form->Edit1->AnchorX(), c.ExpectRight);
    const String stored = WriteComponentToText(form->Edit1);
    EXPECT_NE(stored.find(u"AnchorX = " + IntToStr(c.ExpectRight)), String::npos);
    EXPECT_EQ(stored.find(u"Width"), String::npos);
  }
  UnRegisterClass(ProbeEdit::StaticClass());
  forms::Finalize();
  os::SetSystemDpi(96);
  forms::Initialize();
}

}  // namespace
}  // namespace qd::testing

namespace qd::testing {
namespace {

// An editor's properties follow the editor's scale: a scale change rescales their buttons.
TEST_F(EditTest, PropertiesFollowTheEditorScaleAndKeepAnErrorIcon) {
  ProbeEdit edit(nullptr);
  TcxCustomEditButton* button = edit.Properties()->Buttons()->Add();
  button->SetWidth(20);
  EXPECT_EQ(edit.Properties()->ScaleFactor()->Owner(), edit.ScaleFactor());
  edit.ScaleFactor()->Change(3, 2);
  EXPECT_EQ(button->Width(), 30);
  EXPECT_EQ(edit.Properties()->ScaleFactor()->Apply(100), 150);

  EXPECT_TRUE(edit.Properties()->ErrorIcon()->Empty());
  TdxSmartImage icon;
  icon.LoadFromBits(2, 2, TRGBColors(4, RGBQUAD{0, 0, 255, 255}), true);
  ASSERT_FALSE(icon.Empty());
  edit.Properties()->SetErrorIcon(&icon);
  EXPECT_FALSE(edit.Properties()->ErrorIcon()->Empty());
  edit.Properties()->SetErrorIcon(nullptr);
  EXPECT_TRUE(edit.Properties()->ErrorIcon()->Empty());
}

}  // namespace
}  // namespace qd::testing

namespace qd::testing {
namespace {

// Pressing and releasing the mouse on a button clicks it; releasing elsewhere does not; a
// double click on the button is a second click instead of OnDblClick.
TEST_F(EditInputTest, MouseOnAButtonClicksIt) {
  ProbeEdit* edit = NewEditOnForm();
  edit->SetEditAutoSize(false);
  edit->SetBounds(10, 10, 120, 24);
  edit->Properties()->Buttons()->Add();
  EditRecorder recorder;
  edit->Properties()->SetOnButtonClick(MakeMethod(&recorder, &EditRecorder::ButtonClick));
  edit->OnDblClick = MakeMethod(&recorder, &EditRecorder::DblClick);
  edit->ShortRefreshContainer(false);
  ASSERT_EQ(edit->ViewInfo()->ButtonCount(), 1);
  const TRect b = edit->ViewInfo()->ButtonsInfo[0]->Bounds;
  const TPoint onButton{(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2};
  EXPECT_EQ(edit->ButtonVisibleIndexAt(onButton), 0);
  EXPECT_EQ(edit->ButtonVisibleIndexAt(TPoint{2, 2}), -1);

  SendMouseEvent(edit, WM_MOUSEMOVE, {}, onButton);
  SendMouseEvent(edit, WM_LBUTTONDOWN, {ssLeft}, onButton);
  SendMouseEvent(edit, WM_LBUTTONUP, {}, onButton);
  EXPECT_EQ(recorder.Events, (Events{"ButtonClick 0"}));

  recorder.Events.clear();
  SendMouseEvent(edit, WM_LBUTTONDOWN, {ssLeft}, onButton);
  SendMouseEvent(edit, WM_MOUSEMOVE, {ssLeft}, TPoint{2, 2});
  SendMouseEvent(edit, WM_LBUTTONUP, {}, TPoint{2, 2});
  EXPECT_EQ(recorder.Events, Events{});

  recorder.Events.clear();
  SetCursorPos(edit->ClientToScreen(onButton).X, edit->ClientToScreen(onButton).Y);
  edit->DblClick();
  SendMouseEvent(edit, WM_LBUTTONUP, {}, onButton);
  EXPECT_EQ(recorder.Events, (Events{"ButtonClick 0"}));
}

}  // namespace
}  // namespace qd::testing

namespace qd::testing {
namespace {

// The focus state is reported once per change.
TEST_F(EditInputTest, FocusChangesAreReportedOnce) {
  ProbeEdit* edit = NewEditOnForm();
  int changes = 0;
  struct Counter {
    int* Changes;
    void FocusChanged(TObject*) { ++*Changes; }
  } counter{&changes};
  other_->SetFocus();  // the shown form focused the editor first
  Application->ProcessMessages();
  edit->OnFocusChanged = MakeMethod(&counter, &Counter::FocusChanged);
  edit->SetFocus();
  Application->ProcessMessages();
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(changes, 1);
  edit->Perform(WM_SETFOCUS);  // no change: not reported again
  EXPECT_EQ(changes, 1);
  other_->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace qd::testing
