// The base editor: edit value, editing state machine, validation, posting, repository items,
// in-place activation, and the in-place edit lists.
#include <algorithm>

#include "platform/os/user.h"
#include "ui/editors/cxEdit.h"
#include "ui/editors/cxEditConsts.h"

namespace qd {

QD_IMPLEMENT_CLASS(EcxEditValidationError)
QD_IMPLEMENT_CLASS(TcxCustomEditData)
QD_IMPLEMENT_CLASS(TcxEditDataBinding)
QD_IMPLEMENT_CLASS(TcxCustomEdit)
QD_IMPLEMENT_CLASS(TcxInplaceEditList)

namespace {
thread_local bool gEditCreatingInplace = false;
std::vector<TcxInplaceEditList*>* gEditInplaceEditLists = nullptr;

// Runs AAction between a lock and an unlock of the editor's change events.
template <class F>
void WithChangeEventsLocked(TcxCustomEdit* AEdit, F&& AAction, bool AInvokeOnUnlock = true) {
  AEdit->LockChangeEvents(true);
  try {
    AAction();
  } catch (...) {
    AEdit->LockChangeEvents(false, AInvokeOnUnlock);
    throw;
  }
  AEdit->LockChangeEvents(false, AInvokeOnUnlock);
}

template <class F>
void WithUserActionsDisabled(TcxCustomEdit* AEdit, F&& AAction) {
  AEdit->DisableUserAction();
  try {
    AAction();
  } catch (...) {
    AEdit->EnableUserAction();
    throw;
  }
  AEdit->EnableUserAction();
}
}  // namespace

TClass TcxCustomEditProperties::GetContainerClass() const {
  return TcxCustomEdit::StaticClass();
}

bool TcxCustomEditProperties::IsEditorOwned() const {
  return dynamic_cast<TcxCustomEdit*>(Owner()) != nullptr;
}

// --- TcxEditDataBinding ---------------------------------------------------------------------

TcxEditDataBinding::TcxEditDataBinding(TcxCustomEdit* AEdit)
    : FEdit(AEdit), FIDefaultValuesProvider(new TcxCustomEditDefaultValuesProvider(this)) {}

TcxEditDataBinding::~TcxEditDataBinding() {
  delete FIDefaultValuesProvider;
}

TPersistent* TcxEditDataBinding::GetOwner() const {
  return FEdit;
}

bool TcxEditDataBinding::CanCheckEditorValue() {
  return FEdit->ComponentState().Contains(csDesigning) || !FEdit->ModifiedAfterEnter();
}

void TcxEditDataBinding::DefaultValuesChanged() {
  if (!FEdit->RepositoryItem()) {
    FEdit->ActiveProperties()->Changed();
    return;
  }
  TcxCustomEditProperties* props = FEdit->ActiveProperties();
  props->BeginUpdate();
  props->Changed();
  props->EndUpdate(false);
  FEdit->PropertiesChanged(props);
}

bool TcxEditDataBinding::Editing() {
  return FEdit->ModifiedAfterEnter();
}

Variant TcxEditDataBinding::StoredValue() {
  return FEdit->EditValue();
}

bool TcxEditDataBinding::Modified() {
  return FEdit->ModifiedAfterEnter();
}

void TcxEditDataBinding::Reset() {
  FEdit->ResetEditValue();
}

bool TcxEditDataBinding::SetEditMode() {
  FEdit->SetModifiedAfterEnter(true);
  return true;
}

void TcxEditDataBinding::SetModified() {
  if (FEdit->Focused()) FEdit->SetModifiedAfterEnter(true);
}

void TcxEditDataBinding::UpdateDisplayValue() {}

// --- TcxCustomEdit: creation ------------------------------------------------------------------

TcxCustomEdit* TcxCustomEdit::CreateInplace(TClass AClass, TComponent* AOwner) {
  if (!AClass || !AClass->InheritsFrom(TcxCustomEdit::StaticClass()))
    throw EcxEditError(u"Not an editor class");
  gEditCreatingInplace = true;
  TObject* edit = nullptr;
  try {
    edit = AClass->Create(AOwner);
  } catch (...) {
    gEditCreatingInplace = false;
    throw;
  }
  gEditCreatingInplace = false;
  return static_cast<TcxCustomEdit*>(edit);
}

TcxCustomEdit::TcxCustomEdit(TComponent* AOwner, bool AIsInplace)
    : TcxContainer(AOwner, &cxCreateContainerStyle<TcxEditStyle>),
      FIsInplace(AIsInplace || gEditCreatingInplace) {
  gEditCreatingInplace = false;
  FChangeEventsCatcher = new TcxEditChangeEventsCatcher(this);
  FDataBinding = new TcxEditDataBinding(this);
  FEditValue = Null();
  FIsJustCreated = true;
}

TcxCustomEdit::~TcxCustomEdit() {
  if (FRepositoryItem) {
    FRepositoryItem->RemoveListener(this);
    FRepositoryItem->RemoveFreeNotification(this);
    FRepositoryItem = nullptr;
  }
  if (FProperties) {
    FProperties->SetOnPropertiesChanged(nullptr);
    if (!IsInplace()) FProperties->SetIDefaultValuesProvider(nullptr);
  }
  delete FDataBinding;
  FDataBinding = nullptr;
  delete FProperties;
  FProperties = nullptr;
  delete FChangeEventsCatcher;
  FChangeEventsCatcher = nullptr;
}

TcxCustomEditProperties* TcxCustomEdit::Properties() {
  if (!FProperties) {
    // Made on first use so that an editor family's class answers which properties it has.
    FProperties = static_cast<TcxCustomEditProperties*>(GetPropertiesClass()->Create(this));
    if (!FRepositoryItem)
      FProperties->SetOnPropertiesChanged(MakeMethod(this, &TcxCustomEdit::PropertiesChanged));
    if (!IsInplace() && !FRepositoryItem)
      FProperties->SetIDefaultValuesProvider(FDataBinding->IDefaultValuesProvider());
  }
  return FProperties;
}

TcxCustomEditProperties* TcxCustomEdit::ActiveProperties() {
  if (FRepositoryItem) {
    TcxCustomEditProperties* props = FRepositoryItem->Properties();
    props->SetIDefaultValuesProvider(FDataBinding->IDefaultValuesProvider());
    return props;
  }
  return Properties();
}

void TcxCustomEdit::PropertiesChanged(TObject*) {
  FIsEditValidated = false;
  if (FModifiedAfterEnter && ActiveProperties()->ReadOnly()) SetModifiedAfterEnter(false);
  ShortRefreshContainer(false);
}

bool TcxCustomEdit::IsRepositoryItemAcceptable(TcxEditRepositoryItem* ARepositoryItem) {
  return !ARepositoryItem || ARepositoryItem->ArePropertiesCompatible(GetPropertiesClass());
}

void TcxCustomEdit::SetRepositoryItem(TcxEditRepositoryItem* Value) {
  if (FRepositoryItem == Value) return;
  if (!IsRepositoryItemAcceptable(Value))
    throw EcxEditError(cxGetResourceString(cxSEditInvalidRepositoryItem));
  if (FRepositoryItem) {
    FRepositoryItem->RemoveListener(this);
    FRepositoryItem->RemoveFreeNotification(this);
  }
  FRepositoryItem = Value;
  bool loadingOrDestroying = IsLoadingOrDestroying();
  if (FRepositoryItem) {
    FRepositoryItem->AddListener(this);
    FRepositoryItem->FreeNotification(this);
    Properties()->SetIDefaultValuesProvider(nullptr);
    if (!loadingOrDestroying) PropertiesChanged(FRepositoryItem->Properties());
    Properties()->SetOnPropertiesChanged(nullptr);
  } else {
    if (!loadingOrDestroying) {
      Properties()->SetOnPropertiesChanged(MakeMethod(this, &TcxCustomEdit::PropertiesChanged));
      PropertiesChanged(Properties());
    }
    Properties()->SetIDefaultValuesProvider(FDataBinding->IDefaultValuesProvider());
  }
}

void TcxCustomEdit::RepositoryItemListenerItemRemoved(TcxEditRepositoryItem* Sender) {
  if (Sender == FRepositoryItem) SetRepositoryItem(nullptr);
}

void TcxCustomEdit::RepositoryItemListenerPropertiesChanged(TcxEditRepositoryItem* Sender) {
  if (!IsLoadingOrDestroying()) PropertiesChanged(Sender->Properties());
}

void TcxCustomEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TcxContainer::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FRepositoryItem) {
    FRepositoryItem->RemoveListener(this);
    FRepositoryItem = nullptr;
    Properties()->SetOnPropertiesChanged(MakeMethod(this, &TcxCustomEdit::PropertiesChanged));
    Properties()->SetIDefaultValuesProvider(FDataBinding->IDefaultValuesProvider());
  }
}

void TcxCustomEdit::Loaded() {
  TcxContainer::Loaded();
  // Changes made while settling after loading fire no change events.
  WithChangeEventsLocked(
      this,
      [&] {
        LockClick(true);
        if (!FRepositoryItem)
          Properties()->SetOnPropertiesChanged(MakeMethod(this, &TcxCustomEdit::PropertiesChanged));
        PropertiesChanged(ActiveProperties());
        LockClick(false);
      },
      false);
}

TcxContainerStyleValues TcxCustomEdit::InternalGetNotPublishedStyleValues() {
  return TcxContainerStyleValues{svButtonStyle,     svButtonTransparency, svPopupBorderStyle,
                                 svGradientButtons, svGradient,           svGradientDirection};
}

// --- Value ----------------------------------------------------------------------------------

void TcxCustomEdit::SetEditValue(const Variant& Value) {
  if (FEditValueChangingLockCount > 0) return;
  LockClick(true);
  try {
    if (!IsUserAction() || DoEditing()) InternalSetEditValue(Value, true);
  } catch (...) {
    LockClick(false);
    throw;
  }
  LockClick(false);
}

void TcxCustomEdit::SetInternalEditValue(const Variant& Value) {
  if (FEditValueChangingLockCount > 0) return;
  if (!IsUserAction() || DoEditing()) InternalSetEditValue(Value, true);
}

void TcxCustomEdit::SetValidatableEditValue(const Variant& AEditValue) {
  BeginUserAction();
  try {
    SetEditValue(AEditValue);
  } catch (...) {
    EndUserAction();
    throw;
  }
  EndUserAction();
}

void TcxCustomEdit::InternalSetEditValue(const Variant& Value, bool) {
  if (IsUserAction() && !DoEditing()) return;
  bool changed = ActiveProperties()->CanCompareEditValue() && !cxEditVarEquals(Value, FEditValue);
  InternalStoreEditValue(Value);
  SynchronizeDisplayValue();
  if (IsUserAction())
    SetModifiedAfterEnter(true);
  else
    SetModified(false);
  if (changed) {
    DoEditValueChanged();
    if (!ActiveProperties()->HasDisplayValue()) DoChange();
  }
}

Variant TcxCustomEdit::GetEditingValue() {
  if (Focused() && !FIsEditValidated && FModifiedAfterEnter) return InternalGetEditingValue();
  return EditValue();
}

void TcxCustomEdit::SetModified(bool Value) {
  FModified = Value;
  if (!Value) FModifiedAfterEnter = false;
}

void TcxCustomEdit::SetModifiedAfterEnter(bool Value) {
  FModifiedAfterEnter = Value;
  if (Value) {
    FIsEditValidated = false;
    FModified = true;
  }
}

void TcxCustomEdit::SaveModified() {
  FPrevModifiedList.push_back({FModified, FModifiedAfterEnter});
}

void TcxCustomEdit::RestoreModified() {
  if (FPrevModifiedList.empty()) return;
  TcxEditModifiedState state = FPrevModifiedList.back();
  FPrevModifiedList.pop_back();
  FModified = state.Modified;
  FModifiedAfterEnter = state.ModifiedAfterEnter;
}

// --- Change events -----------------------------------------------------------------------------

bool TcxCustomEdit::IsLoadingOrDestroying() const {
  return ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying);
}

bool TcxCustomEdit::HasOnChangeHandler() const {
  auto* self = const_cast<TcxCustomEdit*>(this);
  return self->Properties()->OnChange().Assigned() ||
         (FRepositoryItem && FRepositoryItem->Properties()->OnChange().Assigned());
}

bool TcxCustomEdit::HasOnEditValueChangedHandler() const {
  auto* self = const_cast<TcxCustomEdit*>(this);
  return self->Properties()->OnEditValueChanged().Assigned() ||
         (FRepositoryItem && FRepositoryItem->Properties()->OnEditValueChanged().Assigned());
}

void TcxCustomEdit::DoOnChange() {
  WithUserActionsDisabled(this, [&] {
    if (TNotifyEvent e = Properties()->OnChange()) e(this);
    if (FRepositoryItem)
      if (TNotifyEvent e = FRepositoryItem->Properties()->OnChange()) e(this);
  });
}

void TcxCustomEdit::DoOnEditValueChanged() {
  WithUserActionsDisabled(this, [&] {
    if (TNotifyEvent e = Properties()->OnEditValueChanged()) e(this);
    if (FRepositoryItem)
      if (TNotifyEvent e = FRepositoryItem->Properties()->OnEditValueChanged()) e(this);
  });
}

void TcxCustomEdit::DoChange() {
  if (IsLoadingOrDestroying()) return;
  if (HasOnChangeHandler()) {
    if (AreChangeEventsLocked()) {
      FChangeEventsCatcher->SetOnChangeEvent(true);
    } else if (IsInplace()) {
      // The handler of an in-place editor sees it modified.
      SaveModified();
      FModified = true;
      FModifiedAfterEnter = true;
      try {
        DoOnChange();
      } catch (...) {
        RestoreModified();
        throw;
      }
      RestoreModified();
    } else {
      DoOnChange();
    }
  }
  if (!ActiveProperties()->HasDisplayValue() && !ActiveProperties()->CanCompareEditValue())
    DoEditValueChanged();
}

void TcxCustomEdit::DoEditValueChanged() {
  if (IsLoadingOrDestroying() || !HasOnEditValueChangedHandler()) return;
  if (AreChangeEventsLocked())
    FChangeEventsCatcher->SetOnEditValueChangedEvent(true);
  else
    DoOnEditValueChanged();
}

void TcxCustomEdit::LockChangeEvents(bool ALock, bool AInvokeChangedOnUnlock) {
  FChangeEventsCatcher->Lock(ALock, AInvokeChangedOnUnlock);
}

void TcxCustomEdit::LockClick(bool ALock) {
  if (ALock)
    ++FClickLockCount;
  else if (FClickLockCount > 0)
    --FClickLockCount;
}

void TcxCustomEdit::LockEditValueChanging(bool ALock) {
  if (ALock)
    ++FEditValueChangingLockCount;
  else if (FEditValueChangingLockCount > 0)
    --FEditValueChangingLockCount;
}

void TcxCustomEdit::EndUserAction() {
  if (FUserActionCount > 0) --FUserActionCount;
}

void TcxCustomEdit::EnableUserAction() {
  if (FUserActionDisabledCount <= 0) throw EcxEditError(u"TcxCustomEdit.EnableUserAction fails");
  --FUserActionDisabledCount;
}

// --- Editing request ---------------------------------------------------------------------------

bool TcxCustomEdit::CanModify() {
  if (IsInplace()) return ActiveProperties()->CanModify();
  TcxCustomEditProperties* props = Properties();
  if (props->AssignedValues()->ReadOnly()) return !props->ReadOnly();
  IcxEditDefaultValuesProvider* provider = FDataBinding->IDefaultValuesProvider();
  return provider->DefaultCanModify() && provider->CanSetEditMode();
}

bool TcxCustomEdit::DoEditing() {
  if (!InternalDoEditing()) return false;
  if (FDataBinding->Modified()) return true;
  if (IsUserAction() && !CanModify()) return false;
  bool canEdit = true;
  FEditModeSetting = true;
  try {
    if (IsInplace()) {
      LockEditValueChanging(true);
      try {
        if (OnEditing) OnEditing(this, canEdit);
      } catch (...) {
        LockEditValueChanging(false);
        throw;
      }
      LockEditValueChanging(false);
    } else {
      bool wasEditing = FDataBinding->Editing();
      // Edit-value writes from the handler are ignored here too: a write made in a user
      // action would ask the handler again without end.
      LockEditValueChanging(true);
      try {
        if (OnEditing) OnEditing(this, canEdit);
      } catch (...) {
        LockEditValueChanging(false);
        throw;
      }
      LockEditValueChanging(false);
      if (canEdit) {
        if (wasEditing) {
          FDataBinding->SetModified();
        } else {
          LockEditValueChanging(true);
          try {
            canEdit = FDataBinding->SetEditMode();
          } catch (...) {
            LockEditValueChanging(false);
            throw;
          }
          LockEditValueChanging(false);
        }
      }
    }
  } catch (...) {
    FEditModeSetting = false;
    throw;
  }
  FEditModeSetting = false;
  return canEdit;
}

// --- Validation --------------------------------------------------------------------------------

Variant TcxCustomEdit::ValueToValidate() {
  if (!FModifiedAfterEnter && !VarIsNull(EditValue())) return InternalGetValueToValidate();
  return GetDisplayValue();
}

void TcxCustomEdit::PostShortRefresh() {
  if (HandleAllocated()) PostMessageW(Handle(), CM_SHORTREFRESHCONTAINER, 0, 0);
}

void TcxCustomEdit::DoValidateDisplayValue(Variant& ADisplayValue, String& AErrorText, bool& AError) {
  TcxCustomEditProperties* props = ActiveProperties();
  if (!props->CanValidate()) return;
  Variant current = GetDisplayValue();
  props->ValidateDisplayValue(
      ADisplayValue, AErrorText, AError, [this](Variant& V, String& T, bool& E) { DoOnValidate(V, T, E); },
      &current);
}

void TcxCustomEdit::DoOnValidate(Variant& ADisplayValue, String& AErrorText, bool& AError) {
  if (TcxEditValidateEvent e = Properties()->OnValidate()) e(this, ADisplayValue, AErrorText, AError);
  if (FRepositoryItem)
    if (TcxEditValidateEvent e = FRepositoryItem->Properties()->OnValidate())
      e(this, ADisplayValue, AErrorText, AError);
}

void TcxCustomEdit::InternalValidateDisplayValue(const Variant& ADisplayValue) {
  SaveModified();
  try {
    SetInternalDisplayValue(ADisplayValue);
  } catch (...) {
    RestoreModified();
    throw;
  }
  RestoreModified();
}

bool TcxCustomEdit::InternalValidateEdit(bool AForce) {
  return InternalValidateEdit(ActiveProperties()->ValidationOptions(), AForce);
}

bool TcxCustomEdit::InternalValidateEdit(TcxEditValidationOptions AValidationOptions, bool AForce) {
  if (!AForce && !(FModifiedAfterEnter && !FIsEditValidated && FLockValidate == 0)) return !FValidationError;
  bool result = false;
  WithUserActionsDisabled(this, [&] {
    FIsEditValidating = true;
    try {
      Variant v = ValueToValidate();
      FValidationErrorText.clear();
      bool prevError = FValidationError;
      FValidationError = false;
      TcxCustomEditProperties* props = ActiveProperties();
      props->SetInternalValidationOptions(AValidationOptions);
      DoValidateDisplayValue(v, FValidationErrorText, FValidationError);
      AValidationOptions = props->InternalValidationOptions();
      if (FValidationError != prevError || FValidationError) PostShortRefresh();
      result = !FValidationError;
      if (FValidationError) {
        auto restoreDisplay = [&] {
          if (!VarSameValue(ValueToValidate(), v)) {
            SetInternalDisplayValue(v);
            if (Visible()) {
              SelectAll();
              if (!IsEditClass()) UpdateDrawValue();
            }
          }
        };
        try {
          HandleValidationError(FValidationErrorText, AValidationOptions, !AForce);
        } catch (...) {
          restoreDisplay();
          throw;
        }
        restoreDisplay();
      }
      if (!FValidationError || AValidationOptions.Contains(evoAllowLoseFocus)) {
        bool accept = FModifiedAfterEnter || !InternalVarEqualsExact(ValueToValidate(), v);
        if (accept) {
          InternalValidateDisplayValue(v);
          if (!IsInplace() && !Focused()) SetModifiedAfterEnterValue(false);
          FIsEditValidated = true;
        }
      }
    } catch (...) {
      FIsEditValidating = false;
      throw;
    }
    FIsEditValidating = false;
  });
  return result;
}

void TcxCustomEdit::HandleValidationError(const String& AErrorText,
                                          TcxEditValidationOptions AValidationOptions,
                                          bool ACanAbortExecution) {
  TcxCustomEditProperties* props = ActiveProperties();
  bool canLoseFocus = props->ValidationOptions().Contains(evoAllowLoseFocus) &&
                      !(!AErrorText.empty() && AValidationOptions.Contains(evoRaiseException));
  if (!CanFocus()) {
    FIsEditValidated = true;
  } else if (HandleAllocated() && Visible() && !Focused() && !canLoseFocus) {
    FValidateErrorProcessing = true;
    try {
      GetActiveControl()->SetFocus();
    } catch (...) {
      FValidateErrorProcessing = false;
      throw;
    }
    FValidateErrorProcessing = false;
    if (Focused()) SelectAll();
  }
  if (props->BeepOnError()) MessageBeep(MB_OK);
  if (!AErrorText.empty() && AValidationOptions.Contains(evoRaiseException))
    throw EcxEditValidationError(AErrorText);
  if (ACanAbortExecution && !AValidationOptions.Contains(evoAllowLoseFocus)) throw EAbort();
}

bool TcxCustomEdit::ValidateEdit(bool ARaiseExceptionOnError) {
  TcxEditValidationOptions options;
  if (ARaiseExceptionOnError) options.Include(evoRaiseException);
  return InternalValidateEdit(options, true);
}

bool TcxCustomEdit::ValidateEdit() {
  return InternalValidateEdit(ActiveProperties()->ValidationOptions(), true);
}

// --- Posting, reset, focus -------------------------------------------------------------------

bool TcxCustomEdit::CanPostEditValue() {
  return !ComponentState().Contains(csDesigning) && FDataBinding->CanPostEditorValue();
}

void TcxCustomEdit::DoPostEditValue() {
  WithUserActionsDisabled(this, [&] {
    if (OnPostEditValue) OnPostEditValue(this);
  });
}

void TcxCustomEdit::InternalPostEditValue(bool AValidateEdit) {
  if (AValidateEdit) {
    bool valid = false;
    WithUserActionsDisabled(this, [&] { valid = InternalValidateEdit(false); });
    if (!valid) return;
  }
  FIsPosting = true;
  try {
    if (IsInplace()) {
      if (!AValidateEdit) DisableValidate();
      try {
        DoPostEditValue();
      } catch (...) {
        if (!AValidateEdit) EnableValidate();
        throw;
      }
      if (!AValidateEdit) EnableValidate();
      SetModified(false);
    } else if (FDataBinding->Modified()) {
      SaveModified();
      try {
        FDataBinding->SetStoredValue(EditValue());
      } catch (...) {
        RestoreModified();
        throw;
      }
      RestoreModified();
    }
  } catch (...) {
    FIsPosting = false;
    if (CanShowValidationErrorOnPostEditValue()) {
      HandleValidationError(String(), ActiveProperties()->ValidationOptions(), false);
      throw;
    }
    // An in-place editor keeps the value modified, so that the failure is not taken for a
    // successful post.
    SetModifiedAfterEnter(true);
    return;
  }
  FIsPosting = false;
}

void TcxCustomEdit::PostEditValue() {
  if (CanPostEditValue()) {
    InternalPostEditValue(true);
  } else if (Focused()) {
    try {
      if (DoEditing()) {
        SetModifiedAfterEnter(true);
        FIsEditValidated = true;
        InternalPostEditValue(false);
      }
    } catch (...) {
      SetModifiedAfterEnter(false);
      throw;
    }
    SetModifiedAfterEnter(false);
  }
}

void TcxCustomEdit::Reset() {
  FDataBinding->Reset();
}

bool TcxCustomEdit::IsResetEditClass() {
  return ActiveProperties()->IsResetEditClass();
}

void TcxCustomEdit::SetPrevEditValue(const Variant& Value) {
  if (FValidateErrorProcessing) return;
  FPrevEditValue = Value;
  FPrevValidationError = FValidationError;
}

void TcxCustomEdit::ResetEditValue() {
  if (!FModifiedAfterEnter || !IsResetEditClass()) return;
  WithChangeEventsLocked(this, [&] {
    SetModifiedAfterEnter(false);
    SetInternalEditValue(FPrevEditValue);
    FValidationError = FPrevValidationError;
    FPrevValidationError = false;
    PostShortRefresh();
    SetModified(true);
    SelectAll();
    if (ActiveProperties()->ImmediatePost() && CanPostEditValue()) InternalPostEditValue(false);
  });
}

bool TcxCustomEdit::ResetByEscape() {
  if (!FModifiedAfterEnter || !IsResetEditClass()) return false;
  WithChangeEventsLocked(this, [&] {
    FDataBinding->Reset();
    SetModified(true);
  });
  FIsKeyPressHandled = true;
  return true;
}

void TcxCustomEdit::ClearByKey() {
  WithChangeEventsLocked(this, [&] {
    BeginUserAction();
    try {
      SetInternalEditValue(GetClearValue());
    } catch (...) {
      EndUserAction();
      throw;
    }
    EndUserAction();
  });
  if (ActiveProperties()->ImmediatePost() && CanPostEditValue()) InternalPostEditValue(false);
  FIsEditValidated = true;
}

void TcxCustomEdit::DoValidateOnEnter() {
  WithChangeEventsLocked(this, [&] {
    if (InternalValidateEdit(false) && CanPostEditValue()) InternalPostEditValue(false);
  });
}

void TcxCustomEdit::DoClosePopup(TcxEditCloseUpReason AReason) {
  if (TcxEditClosePopupEvent e = Properties()->OnClosePopup()) e(this, AReason);
  if (FRepositoryItem)
    if (TcxEditClosePopupEvent e = FRepositoryItem->Properties()->OnClosePopup()) e(this, AReason);
}

void TcxCustomEdit::DoShowEdit() {
  SaveModified();
  try {
    if (IsResetEditClass()) SetPrevEditValue(EditValue());
    SynchronizeDisplayValue();
  } catch (...) {
    RestoreModified();
    SetModifiedAfterEnterValue(false);
    throw;
  }
  RestoreModified();
  SetModifiedAfterEnterValue(false);
}

void TcxCustomEdit::DoHideEdit(bool AExit) {
  if (ComponentState().Contains(csDestroying) || FValidateErrorProcessing) return;
  SaveModified();
  FIsHiding = true;
  try {
    WithChangeEventsLocked(this, [&] {
      InternalValidateEdit(false);
      if (!IsInplace() && CanPostEditValue()) InternalPostEditValue(false);
    });
    UpdateDrawValue();
    ShortRefreshContainer(false);
  } catch (...) {
    // A refused validation leaves the editor modified after entering.
    FIsHiding = false;
    RestoreModified();
    throw;
  }
  RestoreModified();
  SetModifiedAfterEnter(false);
  SaveModified();
  FIsHiding = false;
  RestoreModified();
}

// --- In-place activation -------------------------------------------------------------------------

void TcxCustomEdit::DoClearEditData(TcxCustomEditData* AEditData) {
  if (AEditData && AEditData == FEditData && AEditData->Cleared()) {
    InitializeEditData();
    AEditData->FCleared = false;
  }
}

void TcxCustomEdit::DoSetFocusWhenActivate() {
  SetFocus();
  if (ActiveProperties()->AutoSelect()) SelectAll();
}

void TcxCustomEdit::Activate(TcxCustomEditData*& AEditData, bool ANeedSetFocus) {
  FEditData = AEditData;
  DoClearEditData(AEditData);
  SetVisible(true);
  SynchronizeDisplayValue();
  SetModified(false);
  if (HandleAllocated() && CanFocus() && ANeedSetFocus) DoSetFocusWhenActivate();
}

bool TcxCustomEdit::Deactivate() {
  FUserActionCount = 0;
  bool result = InternalValidateEdit(false);
  if (result) {
    SynchronizeDisplayValue();
    FIsEditValidated = true;
  }
  return result;
}

// --- TcxInplaceEditList ---------------------------------------------------------------------------

TcxInplaceEditList::TcxInplaceEditList(TComponent* AEditorOwner) : FEditorOwner(AEditorOwner) {
  if (!gEditInplaceEditLists) gEditInplaceEditLists = new std::vector<TcxInplaceEditList*>();
  gEditInplaceEditLists->push_back(this);
}

TcxInplaceEditList::~TcxInplaceEditList() {
  if (gEditInplaceEditLists) {
    std::erase(*gEditInplaceEditLists, this);
    if (gEditInplaceEditLists->empty()) {
      delete gEditInplaceEditLists;
      gEditInplaceEditLists = nullptr;
    }
  }
  while (!FItems.empty()) RemoveAt(FItems.size() - 1);
}

TcxCustomEdit* TcxInplaceEditList::CreateEdit(TClass APropertiesClass) {
  // The container class is a virtual answer of the properties class: ask a sample.
  std::unique_ptr<TcxCustomEditProperties> sample(
      static_cast<TcxCustomEditProperties*>(APropertiesClass->Create(nullptr)));
  TcxCustomEdit* edit = TcxCustomEdit::CreateInplace(sample->GetContainerClass(), FEditorOwner);
  edit->SetVisible(false);
  return edit;
}

void TcxInplaceEditList::InitEdit(TcxCustomEdit* AEdit, TcxCustomEditProperties* AProperties) {
  AEdit->LockChangeEvents(true);
  AEdit->FIsInplaceInitializing = true;
  try {
    AEdit->SetProperties(AProperties);
  } catch (...) {
    AEdit->FIsInplaceInitializing = false;
    AEdit->LockChangeEvents(false, false);
    throw;
  }
  AEdit->FIsInplaceInitializing = false;
  AEdit->LockChangeEvents(false, false);
}

TcxCustomEdit* TcxInplaceEditList::FindEdit(TcxCustomEditProperties* AProperties) const {
  for (const TcxEditListItem& item : FItems)
    if (item.Properties == AProperties) return item.Edit;
  return nullptr;
}

TcxCustomEdit* TcxInplaceEditList::FindEdit(TClass APropertiesClass) const {
  for (const TcxEditListItem& item : FItems)
    if (!item.Properties && item.Edit->Properties()->ClassType() == APropertiesClass) return item.Edit;
  return nullptr;
}

TcxCustomEdit* TcxInplaceEditList::GetEdit(TcxCustomEditProperties* AProperties) {
  TcxCustomEdit* edit = FindEdit(AProperties);
  if (!edit) {
    TClass containerClass = AProperties->GetContainerClass();
    for (TcxEditListItem& item : FItems)
      if (!item.Properties && item.Edit->ClassType() == containerClass) {
        item.Properties = AProperties;
        edit = item.Edit;
        break;
      }
  }
  if (!edit) {
    edit = CreateEdit(AProperties->ClassType());
    FItems.push_back({edit, AProperties});
  }
  InitEdit(edit, AProperties);
  return edit;
}

TcxCustomEdit* TcxInplaceEditList::GetEdit(TClass APropertiesClass) {
  if (TcxCustomEdit* edit = FindEdit(APropertiesClass)) return edit;
  TcxCustomEdit* edit = CreateEdit(APropertiesClass);
  FItems.push_back({edit, nullptr});
  return edit;
}

void TcxInplaceEditList::DisconnectProperties(TcxCustomEditProperties* AProperties) {
  for (TcxEditListItem& item : FItems)
    if (item.Properties == AProperties) item.Properties = nullptr;
}

void TcxInplaceEditList::RemoveAt(size_t AIndex) {
  TcxCustomEdit* edit = FItems[AIndex].Edit;
  FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(AIndex));
  edit->SetParent(nullptr);
  delete edit;
}

void TcxInplaceEditList::RemoveItem(TcxCustomEditProperties* AProperties) {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].Properties == AProperties) return RemoveAt(i);
}

void TcxInplaceEditList::RemoveItem(TClass APropertiesClass) {
  for (size_t i = FItems.size(); i-- > 0;)
    if (!FItems[i].Properties && FItems[i].Edit->Properties()->ClassType() == APropertiesClass) RemoveAt(i);
}

void ClearPropertiesDestroyingListeners(TcxCustomEditProperties* AProperties) {
  if (!gEditInplaceEditLists) return;
  for (TcxInplaceEditList* list : *gEditInplaceEditLists) list->DisconnectProperties(AProperties);
}

}  // namespace qd
