#pragma once
// Helpers for tests of editor properties: a change counter and a default-values provider
// whose answers a test chooses.
#include <functional>
#include <vector>

#include "ui/editors/cxEdit.h"

namespace qd::testing {

// Counts OnPropertiesChanged and records IsChanging inside it.
struct PropertiesChangeCounter {
  TcxCustomEditProperties* Properties = nullptr;
  int Count = 0;
  std::vector<bool> ChangingInside;
  std::function<void()> Inside;
  void Changed(TObject*) {
    ++Count;
    ChangingInside.push_back(Properties->IsChanging());
    if (Inside) Inside();
  }
  void Attach(TcxCustomEditProperties* AProperties) {
    Properties = AProperties;
    AProperties->SetOnPropertiesChanged(MakeMethod(this, &PropertiesChangeCounter::Changed));
  }
};

// A provider whose answers a test chooses.
class FakeProvider : public TcxCustomEditDefaultValuesProvider {
 public:
  FakeProvider() : TcxCustomEditDefaultValuesProvider(nullptr) {}
  TAlignment DefaultAlignment() override { return Alignment; }
  bool DefaultReadOnly() override { return ReadOnlyDefault; }
  bool DefaultCanModify() override { return CanModifyDefault; }
  double DefaultMaxValue() override { return MaxDefault; }
  String DefaultDisplayFormat() override { return DisplayFormat; }
  String DefaultEditFormat() override { return EditFormat; }
  int32_t DefaultMaxLength() override { return MaxLength; }
  int32_t DefaultPrecision() override { return Precision; }
  bool IsCurrency() override { return Currency; }
  bool IsOnGetTextAssigned() override { return OnGetTextAssigned; }
  TAlignment Alignment = taRightJustify;
  bool ReadOnlyDefault = false;
  bool CanModifyDefault = true;
  double MaxDefault = 0;
  String DisplayFormat;
  String EditFormat;
  int32_t MaxLength = 0;
  int32_t Precision = 15;
  bool Currency = false;
  bool OnGetTextAssigned = false;
};

}  // namespace qd::testing
