#pragma once
// A small text-editor stand-in for the lookup data's tests: its text is a plain string, its
// popup is a flag, and it keeps the lookup data's text-changed lock as the text editor does.
#include <memory>
#include <vector>

#include "editors/edit_test_util.h"
#include "ui/editors/cxTextEdit.h"
#include "ui/editors/cxTextEditLookup.h"

namespace qd::testing {

class LookupTestProperties : public TcxCustomTextEditProperties {
  QD_CLASS_INLINE(LookupTestProperties, TcxCustomTextEditProperties)

 public:
  using TcxCustomTextEditProperties::TcxCustomTextEditProperties;
  TcxEditEditingStyle GetEditingStyle() override { return EditingStyle; }
  int32_t GetDropDownPageRowCount() override { return PageRows; }
  TClass GetContainerClass() const override;

  TcxEditEditingStyle EditingStyle = esEdit;
  int32_t PageRows = 8;
};

// The list of the tests' lookup data: its items are the visible (filtered) items.
class LookupTestListBox : public TcxCustomEditListBox {
  QD_CLASS_INLINE(LookupTestListBox, TcxCustomEditListBox)

 public:
  using TcxCustomEditListBox::GetDrawTextFlags;
  using TcxCustomEditListBox::TcxCustomEditListBox;

 protected:
  String GetItem(int32_t AIndex) override {
    return LookupData() ? LookupData()->GetFilteredItem(AIndex) : String();
  }
};

class LookupTestLookupData : public TcxCustomTextEditLookupData {
  QD_CLASS_INLINE(LookupTestLookupData, TcxCustomTextEditLookupData)

 public:
  using TcxCustomTextEditLookupData::TcxCustomTextEditLookupData;
  bool WithList = false;

 protected:
  TClass GetListBoxClass() override { return WithList ? LookupTestListBox::StaticClass() : nullptr; }
};

class LookupTestEdit : public TcxCustomEdit, public IcxTextEditLookupDataOwner {
  QD_CLASS_INLINE(LookupTestEdit, TcxCustomEdit)

 public:
  using TcxCustomEdit::TcxCustomEdit;
  TClass GetPropertiesClass() const override { return LookupTestProperties::StaticClass(); }
  LookupTestProperties* Props() { return static_cast<LookupTestProperties*>(Properties()); }
  String GetDisplayText() override { return Text; }
  bool HasPopupWindow() override { return PopupShown; }
  bool LookupDataTextChangedLocked() override { return TextChangedLocked; }
  void SetLookupDataTextChangedLocked(bool Value) override { TextChangedLocked = Value; }

  // What the text editor does when the lookup data selects an item: takes the item's text.
  void HandleSelectItem(TObject*) {
    SelectedWhileLocked.push_back(TextChangedLocked);
    Text = LookupData->GetDisplayText(LookupData->GetCurrentKey());
  }
  // The lookup data, made once the properties exist.
  LookupTestLookupData* CreateLookupData() {
    LookupData = std::make_unique<LookupTestLookupData>(this);
    LookupData->SetOnSelectItem(TNotifyEvent(this, &LookupTestEdit::HandleSelectItem));
    return LookupData.get();
  }

  String Text;
  bool PopupShown = false;
  bool TextChangedLocked = false;
  std::vector<bool> SelectedWhileLocked;
  std::unique_ptr<LookupTestLookupData> LookupData;
};

inline TClass LookupTestProperties::GetContainerClass() const {
  return LookupTestEdit::StaticClass();
}

class LookupTest : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    form = NewPlainForm(240, 200);
    edit = new LookupTestEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 150, 21);
    props = edit->Props();
    data = edit->CreateLookupData();
  }
  void TearDown() override {
    edit->LookupData.reset();
    EditTest::TearDown();
  }
  // Replaces the items; the filter then shows all of them, as after a properties change.
  void SetItems(std::initializer_list<const char16_t*> AItems) {
    props->LookupItems()->Clear();
    for (const char16_t* s : AItems) props->LookupItems()->Add(s);
    data->ResetIncrementalFilter();
  }
  void SetNumberedItems(int ACount) {
    props->LookupItems()->Clear();
    for (int i = 0; i < ACount; ++i) props->LookupItems()->Add(u"Item " + IntToStr(i));
    data->ResetIncrementalFilter();
  }
  int32_t Key() { return static_cast<int32_t>(data->GetCurrentKey().AsInteger()); }
  std::vector<String> Visible() {
    std::vector<String> result;
    for (int32_t i = 0; i < data->GetFilteredItemCount(); ++i) result.push_back(data->GetFilteredItem(i));
    return result;
  }

  TForm* form = nullptr;
  LookupTestEdit* edit = nullptr;
  LookupTestProperties* props = nullptr;
  LookupTestLookupData* data = nullptr;
};

}  // namespace qd::testing
