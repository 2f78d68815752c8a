#include "ui/editors/cxFilterEdits.h"

#include <algorithm>
#include <memory>

namespace qd {

QD_IMPLEMENT_CLASS(TcxCustomFilterEditHelper)
QD_IMPLEMENT_CLASS(TcxFilterEditsController)

namespace {
TcxFilterEditsController* gFilterEditsController = nullptr;

TcxFilterControlOperators FilterOperatorRange(TcxFilterControlOperator AFrom, TcxFilterControlOperator ATo) {
  TcxFilterControlOperators result;
  for (int op = AFrom; op <= ATo; ++op) result.Include(static_cast<TcxFilterControlOperator>(op));
  return result;
}
}  // namespace

TcxFilterEditHelperClass TcxCustomFilterEditHelper::Class() {
  static const TcxCustomFilterEditHelper instance;
  return &instance;
}

void TcxCustomFilterEditHelper::ClearPropertiesEvents(TcxCustomEditProperties* AProperties) const {
  AProperties->SetOnButtonClick(nullptr);
  AProperties->SetOnChange(nullptr);
  AProperties->SetOnEditValueChanged(nullptr);
  AProperties->SetOnValidate(nullptr);
}

void TcxCustomFilterEditHelper::InitializeEdit(TcxCustomEdit* AEdit,
                                               TcxCustomEditProperties* AEditProperties) const {
  InitializeProperties(AEdit->ActiveProperties(), AEditProperties, EditPropertiesHasButtons());
}

TcxFilterDataType TcxCustomFilterEditHelper::GetFilterDataType(TcxValueTypeClass AValueTypeClass) const {
  if (!AValueTypeClass) return fdtText;
  if (AValueTypeClass->GetVarType() == varDate) return fdtDate;
  if (AValueTypeClass->IsString()) return fdtText;
  return fdtNumeric;
}

void TcxCustomFilterEditHelper::GetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AEditProperties,
                                               Variant& V, String& S) const {
  V = AEdit->EditValue();
  S = AEditProperties->GetDisplayText(V, false, true);
  if (S.empty()) S = VarToStr(V);
}

TcxFilterControlOperators TcxCustomFilterEditHelper::GetSupportedFilterOperators(
    TcxCustomEditProperties*, TcxValueTypeClass AValueTypeClass, bool AExtendedSet) const {
  TcxFilterControlOperators result = AExtendedSet ? FilterOperatorRange(fcoEqual, fcoNotInList)
                                                  : FilterOperatorRange(fcoEqual, fcoNonBlanks);
  if (!AValueTypeClass || !AValueTypeClass->IsString())
    for (TcxFilterControlOperator op :
         {fcoLike, fcoNotLike, fcoContains, fcoNotContains, fcoBeginsWith, fcoEndsWith})
      result.Exclude(op);
  return result;
}

void TcxCustomFilterEditHelper::InitializeProperties(TcxCustomEditProperties* AProperties,
                                                     TcxCustomEditProperties* AEditProperties,
                                                     bool AHasButtons) const {
  AProperties->BeginUpdate();
  try {
    AProperties->Assign(AEditProperties);
    AProperties->Alignment()->SetHorz(taLeftJustify);
    AProperties->Alignment()->SetVert(taVCenter);
    AProperties->SetBeepOnError(false);
    // Buttons are removed by the properties of editor families that have them.
    static_cast<void>(AHasButtons);
    AProperties->SetReadOnly(false);
    AProperties->SetValidateOnEnter(true);
    if (!IsIDefaultValuesProviderNeeded(AEditProperties)) AProperties->SetIDefaultValuesProvider(nullptr);
    ClearPropertiesEvents(AProperties);
  } catch (...) {
    AProperties->EndUpdate();
    throw;
  }
  AProperties->EndUpdate();
}

bool TcxCustomFilterEditHelper::IsValueValid(TcxValueTypeClass AValueTypeClass, Variant& AValue) const {
  return !AValueTypeClass || AValueTypeClass->IsValueValid(AValue);
}

TcxCustomEdit* TcxCustomFilterEditHelper::GetFilterEdit(TcxCustomEditProperties* AEditProperties,
                                                        TcxInplaceEditList* AInplaceEditList) const {
  TClass editClass = GetFilterEditClass();
  if (!editClass) return nullptr;
  TcxCustomEdit* edit = nullptr;
  if (AInplaceEditList) {
    std::unique_ptr<TcxCustomEdit> sample(static_cast<TcxCustomEdit*>(editClass->Create(nullptr)));
    edit = AInplaceEditList->GetEdit(sample->GetPropertiesClass());
  } else {
    edit = static_cast<TcxCustomEdit*>(editClass->Create(nullptr));
  }
  InitializeEdit(edit, AEditProperties);
  return edit;
}

// --- TcxFilterEditsController ------------------------------------------------------------------

TcxFilterEditHelperClass TcxFilterEditsController::FindHelper(TClass APropertiesClass) const {
  for (TClass c = APropertiesClass; c; c = c->parent)
    for (const auto& item : FItems)
      if (item.first == c) return item.second;
  return nullptr;
}

void TcxFilterEditsController::Register(TClass APropertiesClass, TcxFilterEditHelperClass AHelper) {
  for (auto& item : FItems)
    if (item.first == APropertiesClass) {
      item.second = AHelper;
      return;
    }
  FItems.emplace_back(APropertiesClass, AHelper);
}

void TcxFilterEditsController::Unregister(TClass APropertiesClass, TcxFilterEditHelperClass AHelper) {
  std::erase_if(FItems,
                [&](const auto& item) { return item.first == APropertiesClass && item.second == AHelper; });
  if (FItems.empty() && gFilterEditsController == this) {
    gFilterEditsController = nullptr;
    delete this;
  }
}

TcxFilterEditsController* FilterEditsController() {
  if (!gFilterEditsController) gFilterEditsController = new TcxFilterEditsController();
  return gFilterEditsController;
}

bool FilterEditsControllerAssigned() {
  return gFilterEditsController != nullptr;
}

}  // namespace qd
