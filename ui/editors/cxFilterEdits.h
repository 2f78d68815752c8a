#pragma once
// Preparing editors for filter dialogs: per editor properties class, a helper that turns a
// copy of the properties into the filter editor's and tells which filter operators fit.
#include <utility>
#include <vector>

#include "platform/base/set.h"
#include "ui/core/cxDataStorage.h"
#include "ui/editors/cxEdit.h"

namespace qd {

enum TcxFilterControlOperator : uint8_t {
  fcoNone,
  fcoEqual,
  fcoNotEqual,
  fcoLess,
  fcoLessEqual,
  fcoGreater,
  fcoGreaterEqual,
  fcoLike,
  fcoNotLike,
  fcoContains,
  fcoNotContains,
  fcoBeginsWith,
  fcoEndsWith,
  fcoBlanks,
  fcoNonBlanks,
  fcoBetween,
  fcoNotBetween,
  fcoInList,
  fcoNotInList,
  fcoYesterday,
  fcoToday,
  fcoTomorrow,
  fcoLast7Days,
  fcoLastWeek,
  fcoLast14Days,
  fcoLastTwoWeeks,
  fcoLast30Days,
  fcoLastMonth,
  fcoLastYear,
  fcoInPast,
  fcoThisWeek,
  fcoThisMonth,
  fcoThisYear,
  fcoNext7Days,
  fcoNextWeek,
  fcoNext14Days,
  fcoNextTwoWeeks,
  fcoNext30Days,
  fcoNextMonth,
  fcoNextYear,
  fcoInFuture
};
using TcxFilterControlOperators = TSet<TcxFilterControlOperator>;

enum TcxFilterDataType : uint8_t { fdtText, fdtNumeric, fdtDate, fdtTime, fdtLookup, fdtCheck };

class TcxCustomFilterEditHelper;
// A helper is used through its class: one shared instance per class, reached by Class().
using TcxFilterEditHelperClass = const TcxCustomFilterEditHelper*;

class TcxCustomFilterEditHelper : public TObject {
  QD_CLASS(TcxCustomFilterEditHelper, TObject)

 public:
  static TcxFilterEditHelperClass Class();

  virtual void ClearPropertiesEvents(TcxCustomEditProperties* AProperties) const;
  virtual void InitializeEdit(TcxCustomEdit* AEdit, TcxCustomEditProperties* AEditProperties) const;
  virtual bool IsIDefaultValuesProviderNeeded(TcxCustomEditProperties* AEditProperties) const { return true; }
  virtual bool EditPropertiesHasButtons() const { return false; }
  virtual TcxFilterDataType GetFilterDataType(TcxValueTypeClass AValueTypeClass) const;
  // The editor class filter dialogs use; none in the base.
  virtual TClass GetFilterEditClass() const { return nullptr; }
  virtual void GetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AEditProperties, Variant& V,
                              String& S) const;
  virtual TcxFilterControlOperators GetSupportedFilterOperators(TcxCustomEditProperties* AProperties,
                                                                TcxValueTypeClass AValueTypeClass,
                                                                bool AExtendedSet = false) const;
  virtual void InitializeProperties(TcxCustomEditProperties* AProperties,
                                    TcxCustomEditProperties* AEditProperties, bool AHasButtons) const;
  virtual bool IsValueValid(TcxValueTypeClass AValueTypeClass, Variant& AValue) const;
  virtual void SetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AEditProperties,
                              const Variant& AValue) const {}
  virtual bool UseDisplayValue() const { return false; }

  // An editor of the filter editor class, from AInplaceEditList when given (else a new one
  // without owner, which the caller frees), initialised for filtering; nil without a class.
  TcxCustomEdit* GetFilterEdit(TcxCustomEditProperties* AEditProperties,
                               TcxInplaceEditList* AInplaceEditList = nullptr) const;
};

// Maps editor properties classes to filter-edit helpers.
class TcxFilterEditsController : public TObject {
  QD_CLASS(TcxFilterEditsController, TObject)

 public:
  // The helper registered for the class or, failing that, for its nearest registered
  // ancestor; nil for nil or when none is.
  TcxFilterEditHelperClass FindHelper(TClass APropertiesClass) const;
  void Register(TClass APropertiesClass, TcxFilterEditHelperClass AHelper);
  // Frees the controller when nothing is registered any more.
  void Unregister(TClass APropertiesClass, TcxFilterEditHelperClass AHelper);
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }

 private:
  std::vector<std::pair<TClass, TcxFilterEditHelperClass>> FItems;
};

// Created on first use.
TcxFilterEditsController* FilterEditsController();
// The controller exists (it is freed with its last registration).
bool FilterEditsControllerAssigned();

}  // namespace qd
