#pragma once
// Fixture and a small editor family for the base editor's tests: properties that validate,
// compare values and reset on Esc, and an editor whose display value is its text.
#include <string>
#include <vector>

#include "controls/container_test_util.h"
#include "ui/editors/cxEdit.h"
#include "ui/editors/cxEditConsts.h"

namespace qd::testing {

class TestEditProperties : public TcxCustomEditProperties {
  QD_CLASS_INLINE(TestEditProperties, TcxCustomEditProperties)

 public:
  using TcxCustomEditProperties::TcxCustomEditProperties;
  bool CanValidate() override { return true; }
  bool CanCompareEditValue() override { return true; }
  bool IsResetEditClass() override { return true; }
  TClass GetContainerClass() const override;
};

// The display value is the edit value as text; SetInternalDisplayValue records what it got.
class TestEdit : public TcxCustomEdit {
  QD_CLASS_INLINE(TestEdit, TcxCustomEdit)

 public:
  using TcxCustomEdit::TcxCustomEdit;
  TClass GetPropertiesClass() const override { return TestEditProperties::StaticClass(); }
  String GetDisplayText() override { return VarIsNull(FEditValue) ? String() : VarToStr(FEditValue); }
  void SetInternalDisplayValue(const Variant& Value) override { DisplayValuesSet.push_back(VarToStr(Value)); }
  std::vector<String> DisplayValuesSet;

  using TcxCustomEdit::DoChange;
  using TcxCustomEdit::DoEditValueChanged;
  using TcxCustomEdit::InternalValidateEdit;
};

inline TClass TestEditProperties::GetContainerClass() const {
  return TestEdit::StaticClass();
}

// Records editor events in order.
struct EditEventLog {
  std::vector<std::string> Events;
  bool AllowEditing = true;
  TcxCustomEdit* Edit = nullptr;
  bool ModifiedSeenInChange = false;
  void Change(TObject*) {
    Events.push_back("Change");
    if (Edit) ModifiedSeenInChange = Edit->GetModified() && Edit->ModifiedAfterEnter();
  }
  void EditValueChanged(TObject*) { Events.push_back("EditValueChanged"); }
  void Editing(TObject*, bool& CanEdit) {
    Events.push_back("Editing");
    CanEdit = AllowEditing;
    if (Edit) Edit->SetEditValue(Variant(String(u"from OnEditing")));
  }
  void Post(TObject*) { Events.push_back("Post"); }
  void Attach(TcxCustomEdit* AEdit, TcxCustomEditProperties* AProperties) {
    Edit = AEdit;
    AProperties->SetOnChange(MakeMethod(this, &EditEventLog::Change));
    AProperties->SetOnEditValueChanged(MakeMethod(this, &EditEventLog::EditValueChanged));
    AEdit->OnEditing = MakeMethod(this, &EditEventLog::Editing);
    AEdit->OnPostEditValue = MakeMethod(this, &EditEventLog::Post);
  }
};

class EditTest : public ContainerTest {
 protected:
  void SetUp() override {
    ContainerTest::SetUp();
    cxEditConsts::Initialize();
    cxEdit::Initialize();
  }
  void TearDown() override {
    // Forms and their editors go before the editors' default style controller.
    forms::Finalize();
    forms::Initialize();
    cxEdit::Finalize();
    cxEditConsts::Finalize();
    ContainerTest::TearDown();
  }
};

}  // namespace qd::testing
