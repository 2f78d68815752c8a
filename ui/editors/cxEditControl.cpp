// The base editor: edit value, editing state machine, validation, posting, repository items,
// in-place activation, and the in-place edit lists.
#include <algorithm>

#include "platform/base/mathutil.h"
#include "platform/classes/filer.h"
#include "platform/forms/forms.h"
#include "platform/os/user.h"
#include "ui/controls/cxControlsWindowUtils.h"
#include "ui/controls/cxControlsWndProc.h"
#include "platform/base/strings.h"
#include "ui/core/cxClassesTimer.h"
#include "ui/core/cxGeometry.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/lookandfeel/dxFading.h"
#include "ui/editors/cxEdit.h"
#include "ui/editors/cxEditConsts.h"
#include "ui/editors/dxSpellCheckerCore.h"

namespace qd {

QD_IMPLEMENT_CLASS(EcxEditValidationError)
QD_IMPLEMENT_CLASS(TcxCustomEditData)
QD_IMPLEMENT_CLASS(TcxEditDataBinding)
QD_IMPLEMENT_CLASS(TcxCustomEditContainer)
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

// AKey is the character after a single '&' of ACaption (without regard to case).
bool EditIsAccelerator(Char AKey, const String& ACaption) {
  for (size_t i = 0; i + 1 < ACaption.size(); ++i) {
    if (ACaption[i] != u'&') continue;
    if (ACaption[i + 1] == u'&') {
      ++i;
      continue;
    }
    return UpperCase(String(1, ACaption[i + 1])) == UpperCase(String(1, AKey));
  }
  return false;
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

void TcxEditDataBinding::UpdateDisplayValue() {
  FEdit->SynchronizeDisplayValue();
}

// --- TcxCustomEditData ------------------------------------------------------------------------

TcxCustomEditData::TcxCustomEditData(TcxCustomEdit* AEdit) : FEdit(AEdit) {
  if (FEdit) FEdit->FEditDataList.push_back(this);
  Clear();
}

TcxCustomEditData::~TcxCustomEditData() {
  if (FEdit) FEdit->EditDataDestroyed(this);
}

void TcxCustomEditData::Clear() {
  FCleared = true;
  if (FEdit) FEdit->DoClearEditData(this);
}

// --- TcxCustomEditContainer ------------------------------------------------------------------

bool TcxCustomEditContainer::IsCaptureMouse() {
  if (!HandleAllocated()) return false;
  HWND capture = GetCapture();
  return capture && (capture == Handle() || IsChildEx(Handle(), capture));
}

bool TcxCustomEditContainer::PtInCaller(const TPoint& P) {
  return P.X >= 0 && P.Y >= 0 && P.X < Width() && P.Y < Height();
}

bool TcxCustomEditContainer::InnerControlDefaultHandler(TMessage& Message) {
  if (!HasInnerControlHandle() || IsDestroying()) return false;
  return DoInnerControlDefaultHandler(Message);
}

bool TcxCustomEditContainer::InnerControlMenuHandler(TMessage& Message) {
  if (Message.Msg != CN_KEYDOWN && Message.Msg != CN_SYSKEYDOWN) return false;
  const bool isMenuKey = IsMenuKey(Message);
  Message.Result = isMenuKey ? 1 : 0;
  return isMenuKey;
}

void TcxCustomEditContainer::MouseEnter(TControl* AControl) {
  TcxContainer::MouseEnter(AControl == InnerControl() ? this : AControl);
}

void TcxCustomEditContainer::MouseLeave(TControl* AControl) {
  TcxContainer::MouseLeave(AControl == InnerControl() ? this : AControl);
}

void TcxCustomEditContainer::MouseMove(TShiftState Shift, int X, int Y) {
  if (!IsMouseTracking()) MouseEnter(this);
  TcxContainer::MouseMove(Shift, X, Y);
}

void TcxCustomEditContainer::WndProc(TMessage& Message) {
  // While the mouse is tracked the tracking ends the hot state, not the leave message.
  if (Message.Msg == CM_MOUSELEAVE && IsMouseTracking()) return;
  TcxContainer::WndProc(Message);
}

// --- TcxCustomEdit: creation ------------------------------------------------------------------

void TcxCustomEdit::RegisterProperties(TPropertyRegistrar& r) {
  // The size is written by DefineProperties, only where auto-size does not decide it.
  r.Prop("Width", &TControl::Width, &TControl::SetWidth).Stored(false);
  r.Prop("Height", &TControl::Height, &TControl::SetHeight).Stored(false);
  r.Prop("RepositoryItem", &TcxCustomEdit::RepositoryItem, &TcxCustomEdit::SetRepositoryItem);
  // The four state styles; an editor with its own style class registers them again.
  r.Prop("Style", &TcxCustomEdit::Style, &TcxCustomEdit::SetStyle);
  r.Prop("StyleDisabled", &TcxCustomEdit::StyleDisabled);
  r.Prop("StyleFocused", &TcxCustomEdit::StyleFocused);
  r.Prop("StyleHot", &TcxCustomEdit::StyleHot);
}

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

TcxCustomEdit::TcxCustomEdit(TComponent* AOwner, bool AIsInplace, TcxContainerStyleClass AStyleClass)
    : TcxCustomEditContainer(AOwner, AStyleClass), FIsInplace(AIsInplace || gEditCreatingInplace) {
  gEditCreatingInplace = false;
  FIsCreating = true;
  SetControlStyle(ControlStyle() + TControlStyle{csActionClient, csCaptureMouse, csSetCaption});
  SetTabStop(true);
  FChangeEventsCatcher = new TcxEditChangeEventsCatcher(this);
  FDataBinding = new TcxEditDataBinding(this);
  FAutoHeight = !FIsInplace;
  FAutoWidth = !FIsInplace;
  FCaptureButtonVisibleIndex = -1;
  FEditValue = Null();
  if (FIsInplace) {
    TcxKeys keys = Keys();
    keys.Include(kAll);
    keys.Include(kArrows);
    SetKeys(keys);
  }
  FDblClickTimer =
      cxCreateTimer(MakeMethod(this, &TcxCustomEdit::DblClickTimerHandler), GetDoubleClickTime(), false);
  FIsJustCreated = true;
  FIsCreating = false;
}

void TcxCustomEdit::AfterConstruction() {
  TcxCustomEditContainer::AfterConstruction();
  InitializeVirtualParts();
}

void TcxCustomEdit::InitializeVirtualParts() {
  if (FVirtualPartsInitialized) return;
  FVirtualPartsInitialized = true;
  Properties();
  CreateInnerEdit();
  if (FInnerEdit) {
    SetInnerControl(FInnerEdit->GetControl());
    InitializeInnerEdit();
  } else if (IsInplace()) {
    TcxKeys keys = Keys();
    keys.Include(kTab);
    SetKeys(keys);
  }
}

TcxCustomEdit::~TcxCustomEdit() {
  if (FEditData && FEditData->FEdit == this) FEditData = nullptr;
  for (TcxCustomEditData* data : FEditDataList) data->EditDestroyed();
  FEditDataList.clear();
  if (IdxSpellChecker3* checker = TdxSpellCheckerInstance::ISpellChecker3()) checker->ObjectDestroyed(this);
  delete FDblClickTimer;
  FDblClickTimer = nullptr;
  if (FRepositoryItem) {
    FRepositoryItem->RemoveListener(this);
    FRepositoryItem->RemoveFreeNotification(this);
    FRepositoryItem = nullptr;
  }
  FInnerEdit = nullptr;
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

void TcxCustomEdit::EditDataDestroyed(TcxCustomEditData* AEditData) {
  std::erase(FEditDataList, AEditData);
  if (FEditData == AEditData) FEditData = nullptr;
}

void TcxCustomEdit::SetParent(TWinControl* AParent) {
  if (AParent && FIsJustCreated) {
    InitializeVirtualParts();
    FIsJustCreated = false;
    if (!FIsInplaceInitializing) {
      PropertiesChanged(Properties());
      FDataBinding->UpdateDisplayValue();
    }
  }
  TcxCustomEditContainer::SetParent(AParent);
}

// --- Inner edit -------------------------------------------------------------------------------

void TcxCustomEdit::CreateInnerEdit() {
  TClass innerClass = GetInnerEditClass();
  if (!innerClass) return;
  TObject* control = innerClass->Create(this);
  if (auto* helper = dynamic_cast<IcxInnerEditHelper*>(control))
    FInnerEdit = helper->GetHelper();
  else
    FInnerEdit = dynamic_cast<IcxCustomInnerEdit*>(control);
  if (!FInnerEdit) {
    delete control;
    throw EcxEditError(u"The inner edit class does not offer the inner-edit interface");
  }
}

void TcxCustomEdit::InitializeInnerEdit() {
  FInnerEdit->SetParent(this);
  if (ActiveProperties()->HasDisplayValue())
    FInnerEdit->SetOnChange(MakeMethod(this, &TcxCustomEdit::ChangeHandler));
  FInnerEdit->GetControl()->SetParentShowHint(false);
}

void TcxCustomEdit::AdjustInnerEditPosition() {
  if (!FInnerEdit || !ViewInfo()) return;
  const TRect r = InnerEditRect();
  TWinControl* control = FInnerEdit->GetControl();
  if (control->BoundsRect() != r) control->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

TRect TcxCustomEdit::InnerEditRect() {
  return ViewInfo()->InnerEditRect;
}

// --- Buttons through the view info -------------------------------------------------------------

int32_t TcxCustomEdit::ButtonVisibleIndexAt(const TPoint& P) {
  const auto& buttons = ViewInfo()->ButtonsInfo;
  for (size_t i = 0; i < buttons.size(); ++i)
    if (cxRectPtIn(buttons[i]->Bounds, P)) return static_cast<int32_t>(i);
  return -1;
}

int32_t TcxCustomEdit::GetDefaultButtonVisibleIndex() {
  TcxCustomEditButtons* buttons = ActiveProperties()->Buttons();
  int32_t visibleIndex = 0;
  for (int32_t i = 0; i < buttons->Count(); ++i) {
    TcxCustomEditButton* button = buttons->Items(i);
    if (!button->Visible()) continue;
    if (button->Default()) return visibleIndex;
    ++visibleIndex;
  }
  return -1;
}

TcxCustomEditButton* TcxCustomEdit::VisibleButton(int32_t AButtonVisibleIndex) {
  TcxCustomEditButtons* buttons = ActiveProperties()->Buttons();
  int32_t visibleIndex = 0;
  for (int32_t i = 0; i < buttons->Count(); ++i) {
    TcxCustomEditButton* button = buttons->Items(i);
    if (!button->Visible()) continue;
    if (visibleIndex == AButtonVisibleIndex) return button;
    ++visibleIndex;
  }
  return nullptr;
}

bool TcxCustomEdit::IsButtonEnabled(int32_t AButtonVisibleIndex) {
  TcxCustomEditButton* button = VisibleButton(AButtonVisibleIndex);
  return button && button->Enabled();
}

bool TcxCustomEdit::CheckButtonShortCuts(Char AKey) {
  TcxCustomEditButtons* buttons = ActiveProperties()->Buttons();
  int32_t visibleIndex = 0;
  for (int32_t i = 0; i < buttons->Count(); ++i) {
    TcxCustomEditButton* button = buttons->Items(i);
    if (!button->Visible()) continue;
    if (button->Enabled() && EditIsAccelerator(AKey, button->Caption())) {
      DoButtonClick(visibleIndex);
      return true;
    }
    ++visibleIndex;
  }
  return false;
}

void TcxCustomEdit::CreateHandle() {
  TcxCustomEditContainer::CreateHandle();
  if (FInnerEdit && Focused()) FInnerEdit->SafelySetFocus();
}

void TcxCustomEdit::ChangeHandler(TObject*) {
  if (Focused())
    SetModifiedAfterEnter(true);
  else if (!ActiveProperties()->IsChanging())
    FDataBinding->SetModified();
  DoChange();
}

bool TcxCustomEdit::PropertiesChangeLocked() {
  return IsDestroying() || (GetInnerEditClass() && !FInnerEdit);
}

void TcxCustomEdit::UpdateInnerEditReadOnly() {
  if (FInnerEdit && !PropertiesChangeLocked()) FInnerEdit->SetReadOnly(RealReadOnly());
}

bool TcxCustomEdit::RealReadOnly() {
  return ActiveProperties()->ReadOnly() || FDataBinding->IsInnerControlHaveToBeReadOnly();
}

bool TcxCustomEdit::IsReadOnly() {
  return ActiveProperties()->ReadOnly();
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
  UpdateInnerEditReadOnly();
  if (FModifiedAfterEnter && RealReadOnly()) SetModifiedAfterEnter(false);
  if (ActiveProperties()->Transparent()) SetTransparent(true);
  CalculateAnchors();
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
  FIsFirstSetSize = true;
  TcxCustomEditContainer::Loaded();
  // Changes made while settling after loading fire no change events and no clicks.
  WithChangeEventsLocked(
      this,
      [&] {
        LockClick(true);
        try {
          ShortRefreshContainer(false);
          if (!FRepositoryItem)
            Properties()->SetOnPropertiesChanged(MakeMethod(this, &TcxCustomEdit::PropertiesChanged));
          PropertiesChanged(ActiveProperties());
          ContainerStyleChanged(Style());
        } catch (...) {
          LockClick(false);
          throw;
        }
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
    if (!FValidateErrorProcessing) {
      TcxCustomEditContainer::DoEnter();
      if (UpdateContentOnFocusChanging()) FDataBinding->UpdateDisplayValue();
    }
    if (IsResetEditClass()) SetPrevEditValue(EditValue());
    if (UpdateContentOnFocusChanging()) SynchronizeDisplayValue();
  } catch (...) {
    RestoreModified();
    SetModifiedAfterEnterValue(false);
    throw;
  }
  RestoreModified();
  SetModifiedAfterEnterValue(false);
}

void TcxCustomEdit::DoHideEdit(bool AExit) {
  if (IsDestroying() || FValidateErrorProcessing) return;
  SaveModified();
  FIsHiding = true;
  try {
    WithChangeEventsLocked(this, [&] {
      InternalValidateEdit(false);
      if (!IsInplace() && CanPostEditValue()) InternalPostEditValue(false);
    });
    if (UpdateContentOnFocusChanging()) FDataBinding->UpdateDisplayValue();
    UpdateDrawValue();
    ShortRefreshContainer(false);
  } catch (...) {
    // A refused validation leaves the editor modified after entering.
    FIsHiding = false;
    RestoreModified();
    throw;
  }
  RestoreModified();
  auto finish = [&] {
    SetModifiedAfterEnter(false);
    SaveModified();
    FIsHiding = false;
    RestoreModified();
  };
  try {
    if (AExit) TcxCustomEditContainer::DoExit();
  } catch (...) {
    finish();
    throw;
  }
  finish();
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
  InitializeVirtualParts();
  if (!AEditData)
    if (TClass dataClass = GetEditDataClass()) {
      AEditData = static_cast<TcxCustomEditData*>(dataClass->Create(nullptr));
      AEditData->FEdit = this;
      FEditDataList.push_back(AEditData);
    }
  FEditData = AEditData;
  DoClearEditData(AEditData);
  SetVisible(true);
  SynchronizeDisplayValue();
  SetModified(false);
  InplaceParams.MultiRowParent = true;
  if (HandleAllocated() && CanFocus() && ANeedSetFocus) DoSetFocusWhenActivate();
}

bool TcxCustomEdit::Deactivate() {
  FDblClickTimer->SetEnabled(false);
  FUserActionCount = 0;
  bool result = InternalValidateEdit(false);
  if (result) {
    SynchronizeDisplayValue();
    FIsEditValidated = true;
  }
  return result;
}

// --- Keys ---------------------------------------------------------------------------------------

bool TcxCustomEdit::IsDefaultButtonKey(TShortCut AShortCut) {
  if (AShortCut != ActiveProperties()->ClickKey()) return false;
  const int32_t index = GetDefaultButtonVisibleIndex();
  return index != -1 && IsButtonEnabled(index);
}

bool TcxCustomEdit::IsSpecialKey(WORD Key, TShiftState Shift) {
  const TShortCut shortCut = ShortCut(Key, Shift);
  return shortCut == ActiveProperties()->ClearKey() || IsDefaultButtonKey(shortCut);
}

bool TcxCustomEdit::IsEditorKey(WORD Key, TShiftState Shift) {
  return IsDefaultButtonKey(ShortCut(Key, Shift));
}

bool TcxCustomEdit::NeedsInvokeAfterKeyDown(WORD Key, TShiftState Shift) {
  // The codes of '-' and '.' are those of Insert and Delete: the keys that are not the
  // clipboard's Shift+Insert, Ctrl+Insert and Shift+Delete.
  if (Key == u'-') return !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl);
  if (Key == u'.') return !Shift.Contains(ssShift);
  return false;
}

void TcxCustomEdit::DoAfterKeyDown(WORD& Key, TShiftState Shift) {
  WithUserActionsDisabled(this, [&] {
    if (OnAfterKeyDown) OnAfterKeyDown(this, Key, Shift);
  });
}

bool TcxCustomEdit::ValidateKeyDown(WORD& Key, TShiftState Shift) {
  return FDataBinding->Modified() || !CanKeyDownModifyEdit(Key, Shift) || DoEditing();
}

bool TcxCustomEdit::IsValidChar(Char AChar) {
  IcxEditDefaultValuesProvider* provider = FDataBinding->IDefaultValuesProvider();
  return provider->IsValidChar(AChar) || provider->IsOnSetTextAssigned();
}

bool TcxCustomEdit::ValidateKeyPress(Char& Key) {
  // Text characters: not the control characters below the space (Backspace, Ctrl+letters).
  const bool isTextChar = Key >= u' ';
  if (isTextChar && !IsValidChar(Key)) {
    Key = 0;
    MessageBeep(MB_OK);
  } else if (Key != 0 && CanKeyPressModifyEdit(Key) && !DoEditing()) {
    Key = 0;
  }
  return Key != 0;
}

void TcxCustomEdit::KeyDown(WORD& Key, TShiftState Shift) {
  BeginUserAction();
  try {
    FIsKeyPressHandled = false;
    if (!IsEditorKey(Key, Shift))
      WithUserActionsDisabled(this, [&] { TcxCustomEditContainer::KeyDown(Key, Shift); });
    if (Key != 0) DoEditKeyDown(Key, Shift);
    if (Key != 0 && NeedsInvokeAfterKeyDown(Key, Shift)) DoAfterKeyDown(Key, Shift);
    if (Key != 0)
      if (IdxSpellChecker2* checker = TdxSpellCheckerInstance::ISpellChecker2())
        checker->KeyDown(this, Key, Shift);
  } catch (...) {
    EndUserAction();
    throw;
  }
  EndUserAction();
}

void TcxCustomEdit::KeyPress(Char& Key) {
  if (FIsKeyPressHandled) {
    FIsKeyPressHandled = false;
    Key = 0;
    return;
  }
  TcxCustomEditContainer::KeyPress(Key);
  if (Key == 0) return;
  BeginUserAction();
  try {
    DoEditKeyPress(Key);
  } catch (...) {
    EndUserAction();
    throw;
  }
  EndUserAction();
  if (Key != 0)
    if (IdxSpellChecker* checker = TdxSpellCheckerInstance::ISpellChecker()) checker->KeyPress(this, Key);
}

void TcxCustomEdit::KeyUp(WORD& Key, TShiftState Shift) {
  TcxCustomEditContainer::KeyUp(Key, Shift);
  DoEditKeyUp(Key, Shift);
  if (IdxSpellChecker2* checker = TdxSpellCheckerInstance::ISpellChecker2()) checker->KeyUp(this, Key, Shift);
}

void TcxCustomEdit::DoEditKeyPress(Char& Key) {
  ValidateKeyPress(Key);
}

void TcxCustomEdit::DoEditKeyDown(WORD& Key, TShiftState Shift) {
  const TShortCut shortCut = ShortCut(Key, Shift);
  TcxCustomEditProperties* props = ActiveProperties();
  if (shortCut != 0 && shortCut == props->ClearKey()) {
    ClearByKey();
    Key = 0;
    return;
  }
  if (IsDefaultButtonKey(shortCut)) {
    if (HandleAllocated()) {
      MSG msg;
      while (PeekMessageW(&msg, Handle(), WM_CHAR, WM_CHAR, PM_REMOVE)) {
      }
    }
    DefaultButtonClick();
    Key = 0;
    return;
  }
  if (!ValidateKeyDown(Key, Shift)) {
    DoAfterKeyDown(Key, Shift);
    Key = 0;
    return;
  }
  bool stop = false;
  WithUserActionsDisabled(this, [&] {
    switch (Key) {
      case VK_TAB:
        if (Focused() && !Shift.Contains(ssAlt) && !Shift.Contains(ssCtrl) && !props->InnerEditNeedsTabs()) {
          EnableUserAction();
          try {
            DoEditProcessTab(Shift);
          } catch (...) {
            DisableUserAction();
            throw;
          }
          DisableUserAction();
          DoAfterKeyDown(Key, Shift);
          if (Key == 0) {
            stop = true;
            return;
          }
          Key = 0;
          if (TCustomForm* form = GetParentForm(this)) {
            form->SelectNext(form->ActiveControl(), !Shift.Contains(ssShift), true);
            if (HandleAllocated() && GetFocus() == Handle() && FInnerEdit) FInnerEdit->SafelySetFocus();
          }
        }
        break;
      case VK_RETURN:
        if (props->ValidateOnEnter()) {
          Key = 0;
          DoValidateOnEnter();
        }
        break;
      case VK_ESCAPE:
        if (ResetByEscape()) Key = 0;
        break;
      default:
        break;
    }
  });
  if (stop) return;
  if (!WantNavigationKeys() && Key >= VK_PRIOR && Key <= VK_DOWN) {
    DoAfterKeyDown(Key, Shift);
    Key = 0;
  }
}

// --- Buttons ------------------------------------------------------------------------------------

void TcxCustomEdit::DoProcessEventsOnViewInfoChanging() {
  TcxCustomEditViewInfo* viewInfo = ViewInfo();
  const int32_t pressed = viewInfo->PressedButton;
  const int32_t lastPressed = viewInfo->LastPressedButton;
  if (pressed == lastPressed) return;
  if (lastPressed != -1) {
    DoButtonUp(lastPressed);
    if (viewInfo->SelectedButton == lastPressed) DoButtonClick(lastPressed);
  } else {
    if (pressed < viewInfo->ButtonCount() && dxFader())
      viewInfo->ButtonsInfo[static_cast<size_t>(pressed)]->FadingHelper()->StopFading();
    DoButtonDown(pressed);
  }
}

void TcxCustomEdit::DefaultButtonClick() {
  const int32_t index = GetDefaultButtonVisibleIndex();
  if (index != -1) DoButtonClick(index);
}

void TcxCustomEdit::DoButtonClick(int32_t AButtonVisibleIndex) {
  TcxCustomEditButton* button = VisibleButton(AButtonVisibleIndex);
  const int32_t buttonIndex = button ? button->Index() : AButtonVisibleIndex;
  WithUserActionsDisabled(this, [&] {
    if (TcxEditButtonClickEvent e = Properties()->OnButtonClick()) e(this, buttonIndex);
    if (FRepositoryItem)
      if (TcxEditButtonClickEvent e = FRepositoryItem->Properties()->OnButtonClick()) e(this, buttonIndex);
  });
}

// --- Messages, clipboard, mouse wheel -------------------------------------------------------------

void TcxCustomEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CUT:
      if (FDataBinding->IsDataAvailable()) DoCut();
      return;
    case WM_PASTE:
      if (FDataBinding->IsDataAvailable()) DoPaste();
      return;
    case WM_COPY:
      CopyToClipboard();
      return;
    case CM_DIALOGCHAR:
      if (CheckButtonShortCuts(static_cast<Char>(Message.WParam))) {
        Message.Result = 1;
        return;
      }
      break;
    case CM_HINTSHOW:
      if (HandleHintShow(Message)) return;
      break;
    case CM_SHOWINGCHANGED:
      TcxCustomEditContainer::WndProc(Message);
      if (Showing()) TcxContainer::DoSetSize();
      return;
    case CM_ENTER:
      TcxCustomEditContainer::WndProc(Message);
      if (FInnerEdit && FDataBinding->CanModify() && !ActiveProperties()->ReadOnly())
        FInnerEdit->SetReadOnly(false);
      return;
    default:
      break;
  }
  TcxCustomEditContainer::WndProc(Message);
}

void TcxCustomEdit::DoCut() {
  if (RealReadOnly()) return;
  WithUserActionIfFocused([&] {
    if (DoEditing())
      CutToClipboard();
    else
      CopyToClipboard();
  });
}

void TcxCustomEdit::DoPaste() {
  if (RealReadOnly()) return;
  WithChangeEventsLocked(this, [&] {
    WithUserActionIfFocused([&] {
      if (DoEditing()) PasteFromClipboard();
    });
  });
}

void TcxCustomEdit::WithUserActionIfFocused(const std::function<void()>& AAction) {
  const bool userAction = Focused();
  if (userAction) BeginUserAction();
  try {
    AAction();
  } catch (...) {
    if (userAction) EndUserAction();
    throw;
  }
  if (userAction) EndUserAction();
}

bool TcxCustomEdit::DoInnerControlDefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CUT:
    case WM_PASTE:
      if (FInnerEdit && !FInnerEdit->CanProcessClipboardMessages()) {
        if (FDataBinding->IsDataAvailable()) {
          if (Message.Msg == WM_CUT)
            DoCut();
          else
            DoPaste();
        }
        return true;
      }
      return false;
    case WM_CLEAR:
      WithUserActionIfFocused([&] { DoEditing(); });
      return false;
    default:
      return false;
  }
}

bool TcxCustomEdit::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  bool result = false;
  BeginUserAction();
  try {
    result = TcxCustomEditContainer::DoMouseWheel(Shift, WheelDelta, MousePos);
  } catch (...) {
    EndUserAction();
    throw;
  }
  EndUserAction();
  return result;
}

bool TcxCustomEdit::HandleMouseWheel(TShiftState Shift) {
  if (IsDesigning() || !Focused()) return false;
  return !IsInplace() || ActiveProperties()->UseMouseWheel() || Shift.Contains(ssCtrl);
}

String TcxCustomEdit::GetHintText(int32_t APart) {
  String text = ViewInfo()->GetHintText(APart);
  if (text.empty() && ShowHint()) text = Hint();
  return text;
}

bool TcxCustomEdit::HandleHintShow(TMessage& Message) {
  auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
  if (!info) return false;
  TcxCustomEditViewInfo* viewInfo = ViewInfo();
  const int32_t part = viewInfo->GetPart(info->CursorPos);
  if (part == ecpNone) {
    Message.Result = -1;
    return true;
  }
  info->HintStr = GetShortHint(GetHintText(part));
  info->CursorRect = viewInfo->GetPartRect(part);
  Message.Result = 0;
  return true;
}

// --- Focus --------------------------------------------------------------------------------------

bool TcxCustomEdit::InternalFocused() {
  return !ActiveProperties()->IsEditValueConversionDependOnFocused() || Focused();
}

bool TcxCustomEdit::IsActiveControl() {
  if (Focused()) return true;
  TCustomForm* form = GetParentForm(this);
  if (!form) return false;
  TWinControl* active = form->ActiveControl();
  return active && (active == this || (FInnerEdit && active == FInnerEdit->GetControl()));
}

void TcxCustomEdit::DoEnter() {
  if (IsDestroying()) return;
  DoShowEdit();
  ShortRefreshContainer(false);
  if (IdxSpellChecker* checker = TdxSpellCheckerInstance::ISpellChecker())
    checker->CheckStart(FInnerEdit ? FInnerEdit->GetControl() : this);
}

void TcxCustomEdit::DoExit() {
  WithUserActionsDisabled(this, [&] {
    if (IdxSpellChecker* checker = TdxSpellCheckerInstance::ISpellChecker()) checker->CheckFinish();
    DoHideEdit(true);
  });
}

void TcxCustomEdit::FocusChanged() {
  if (IsDestroying() || FValidateErrorProcessing) return;
  const bool focused = Focused() && Application && Application->Active();
  if (focused == FFocused) return;
  FFocused = focused;
  TcxCustomEditContainer::FocusChanged();
  DoFocusChanged();
}

void TcxCustomEdit::DoFocusChanged() {
  UpdateDrawValue();
  TCustomForm* form = GetParentForm(this);
  if (form && form->FormState().Contains(fsModal) && !form->Visible() && form->ModalResult() != mrNone &&
      form->ModalResult() != mrCancel)
    InternalValidateEdit(false);
}

TRect TcxCustomEdit::GetBorderExtent() {
  TcxCustomEditViewInfo* viewInfo = ViewInfo();
  if (!viewInfo || viewInfo->Bounds.IsEmpty()) return TcxContainer::GetBorderExtent();
  const TRect& b = viewInfo->Bounds;
  const TRect& s = viewInfo->ShadowRect;
  return TRect{s.Left - b.Left, s.Top - b.Top, b.Right - s.Right, b.Bottom - s.Bottom};
}

TRect TcxCustomEdit::GetWindowRegionAddon() {
  TcxCustomEditViewInfo* viewInfo = ViewInfo();
  return viewInfo ? viewInfo->ErrorBounds() : TRect{};
}

bool TcxCustomEdit::CanFocusOnClick() {
  return TcxCustomEditContainer::CanFocusOnClick() && FNeedFocusOnClick;
}

// --- Clicks and in-place activation by mouse ------------------------------------------------------

void TcxCustomEdit::Click() {
  if (IsDestroying() || FClickLockCount > 0) return;
  if (IsLoading() && !IsClickEnabledDuringLoading()) return;
  TcxCustomEditContainer::Click();
}

void TcxCustomEdit::DoClick() {
  SetModifiedAfterEnter(true);
  if (FClickLockCount == 0) Click();
}

void TcxCustomEdit::DblClick() {
  const TPoint p = GetMouseCursorClientPos();
  if (ButtonVisibleIndexAt(p) != -1) {
    // A double click on a button is a second click of the button.
    MouseDown(mbLeft, KeyboardStateToShiftState() + TShiftState{ssLeft}, p.X, p.Y);
    Click();
    return;
  }
  TcxCustomEditContainer::DblClick();
}

void TcxCustomEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && FDblClickTimer->Enabled()) {
    FDblClickTimer->SetEnabled(false);
    if (ButtonVisibleIndexAt(TPoint{X, Y}) == -1) {
      // The press right after an activation by mouse completes a double click.
      DblClick();
      return;
    }
  }
  TcxCustomEditContainer::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && IsCaptureMouse()) FCaptureButtonVisibleIndex = ButtonVisibleIndexAt(TPoint{X, Y});
}

void TcxCustomEdit::DblClickTimerHandler(TObject*) {
  FDblClickTimer->SetEnabled(false);
}

void TcxCustomEdit::ActivateByKey(Char Key, TcxCustomEditData*& AEditData) {
  LockInnerEditRepainting();
  try {
    Activate(AEditData, true);
  } catch (...) {
    UnlockInnerEditRepainting();
    throw;
  }
  UnlockInnerEditRepainting();
  if (SendActivationKey(Key)) {
    FIsKeyPressHandled = false;
    SendKeyPress(this, Key);
  }
}

void TcxCustomEdit::ActivateByMouse(TShiftState Shift, int32_t X, int32_t Y, TcxCustomEditData*& AEditData) {
  Activate(AEditData, FNeedFocusOnClick);
  const TPoint p = Parent() ? ScreenToClient(Parent()->ClientToScreen(TPoint{X, Y})) : TPoint{X, Y};
  if (Shift.Contains(ssLeft)) {
    SendMouseEvent(this, WM_MOUSEMOVE, TShiftState{}, p);
    SendMouseEvent(this, WM_LBUTTONDOWN, Shift, p);
    if (HandleAllocated() && GetCapture() == Handle() && (GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0)
      ReleaseCapture();
  } else {
    SendMouseEvent(this, WM_LBUTTONUP, Shift, p);
  }
  FDblClickTimer->SetEnabled(true);
}

void TcxCustomEdit::LockInnerEditRepainting() {
  if (!FInnerEdit || !FInnerEdit->GetControl()->HandleAllocated() || FWindowProcObject) return;
  FWindowProcObject = cxWindowProcController()->Add(
      FInnerEdit->GetControl()->Handle(), MakeMethod(this, &TcxCustomEdit::LockedInnerEditWindowProc));
}

void TcxCustomEdit::UnlockInnerEditRepainting() {
  if (!FWindowProcObject) return;
  cxWindowProcController()->Remove(FWindowProcObject);
  FWindowProcObject = nullptr;
}

void TcxCustomEdit::LockedInnerEditWindowProc(TMessage& Message) {
  if (FWindowProcObject) FWindowProcObject->DefaultProc(Message);
}

// --- Size and anchors ---------------------------------------------------------------------------

bool TcxCustomEdit::CanAutoSize() {
  return !IsInplace() && AutoSize();
}

bool TcxCustomEdit::CanAutoWidth() {
  return ActiveProperties()->ButtonsViewStyle() == bvsButtonsAutoWidth;
}

bool TcxCustomEdit::IsAutoWidth() {
  return CanAutoSize() && CanAutoWidth() && FAutoWidth &&
         !(Anchors().Contains(akLeft) && Anchors().Contains(akRight));
}

bool TcxCustomEdit::IsAutoHeight() {
  return CanAutoSize() && CanAutoHeight() && FAutoHeight &&
         !(Anchors().Contains(akTop) && Anchors().Contains(akBottom));
}

void TcxCustomEdit::SetEditAutoSize(bool Value) {
  if (Value == AutoSize() || IsInplace()) return;
  FAutoHeight = Value;
  FAutoWidth = Value;
  CheckAutoSizeChanges(Value);
}

void TcxCustomEdit::CheckAutoSizeChanges(bool AValue) {
  DoAutoSizeChanged();
  if (!AValue) return;
  BeginRefreshContainer();
  try {
    CheckHandle();
    DoSetSize();
  } catch (...) {
    EndRefreshContainer();
    throw;
  }
  EndRefreshContainer();
}

void TcxCustomEdit::CheckHandle() {
  if (HandleAllocated() || IsDestroying() || FHandleAllocating) return;
  if (!Parent() && !ParentWindow()) return;
  FHandleAllocating = true;
  try {
    HandleNeeded();
  } catch (...) {
    FHandleAllocating = false;
    throw;
  }
  FHandleAllocating = false;
}

void TcxCustomEdit::PopulateSizeProperties(TcxEditSizeProperties& AEditSizeProperties) {
  AEditSizeProperties = cxDefaultEditSizeProperties;
  AEditSizeProperties.MaxLineCount = 1;
}

TSize TcxCustomEdit::MeasureEditSize(const TcxEditSizeProperties& AEditSizeProperties) {
  std::unique_ptr<TcxCustomEditViewData> viewData(CreateViewData());
  TcxScreenCanvas* canvas = cxScreenCanvas();
  const TSize size = viewData->GetEditSize(canvas, EditValue(), AEditSizeProperties, ViewInfo());
  canvas->Dormant();
  return size;
}

void TcxCustomEdit::InternalCanResize(int& NewWidth, int& NewHeight) {
  if (!CanAutoSize()) return;
  TcxEditSizeProperties sizeProperties;
  PopulateSizeProperties(sizeProperties);
  sizeProperties.Height = NewHeight;
  sizeProperties.Width = NewWidth;
  const TSize size = MeasureEditSize(sizeProperties);
  if (IsAutoWidth()) NewWidth = size.cx;
  if (IsAutoHeight()) NewHeight = size.cy;
}

bool TcxCustomEdit::CanResize(int& NewWidth, int& NewHeight) {
  const bool result = TcxCustomEditContainer::CanResize(NewWidth, NewHeight);
  if (result && !IsLoading()) InternalCanResize(NewWidth, NewHeight);
  return result;
}

void TcxCustomEdit::CalculateAnchors() {
  if (IsLoading() || ComponentState().Contains(csReading)) return;
  // Anchors read from a stored form wait for the first size calculation after loading
  // (the properties change that Loaded announces would otherwise replace them).
  if (FIsFirstSetSize && (FAnchorXRead || FAnchorYRead || FAnchorX != INT32_MAX || FAnchorY != INT32_MAX))
    return;
  TcxCustomEditProperties* props = ActiveProperties();
  if (UseAnchorX())
    FAnchorX = props->Alignment()->Horz() == taCenter ? Left() + (Width() + 1) / 2 : Left() + Width();
  if (UseAnchorY())
    FAnchorY = props->Alignment()->Vert() == taVCenter ? Top() + (Height() + 1) / 2 : Top() + Height();
}

void TcxCustomEdit::DoSetSize() {
  if (!HandleAllocated() || IsDestroying()) return;
  CheckHandle();
  int w = Width();
  int h = Height();
  InternalCanResize(w, h);
  int left = Left();
  int top = Top();
  if (!IsScaleChanging() && UseAnchors() && IsAutoWidth() && !IsHeightDependOnWidth()) {
    // The first size after loading keeps the anchors read from the form.
    if (!FIsFirstSetSize) CalculateAnchors();
    FIsFirstSetSize = false;
    TcxCustomEditProperties* props = ActiveProperties();
    if (UseAnchorX() && FAnchorX != INT32_MAX)
      left = props->Alignment()->Horz() == taCenter ? FAnchorX - (w + 1) / 2 : FAnchorX - w;
    if (UseAnchorY() && FAnchorY != INT32_MAX)
      top = props->Alignment()->Vert() == taVCenter ? FAnchorY - (h + 1) / 2 : FAnchorY - h;
  }
  SetBounds(left, top, w, h);
  AdjustInnerEditPosition();
}

void TcxCustomEdit::ChangeScaleEx(int M, int D, bool isDpiChange) {
  if (M != D && (!IsLoading() || FAnchorXRead || FAnchorYRead)) {
    if (FAnchorXRead) FAnchorX = MulDiv(FAnchorX, M, D);
    if (FAnchorYRead) FAnchorY = MulDiv(FAnchorY, M, D);
  }
  FAnchorXRead = false;
  FAnchorYRead = false;
  TcxCustomEditContainer::ChangeScaleEx(M, D, isDpiChange);
}

bool TcxCustomEdit::NeedStoreWidth() {
  return !(CanAutoSize() && CanAutoWidth() && !IsHeightDependOnWidth());
}

void TcxCustomEdit::DefineProperties(TFiler* Filer) {
  TcxCustomEditContainer::DefineProperties(Filer);
  Filer->DefineProperty(
      u"Width", [this](TReader* R) { ReadWidth(R); }, [this](TWriter* W) { WriteWidth(W); },
      NeedStoreWidth());
  Filer->DefineProperty(
      u"Height", [this](TReader* R) { ReadHeight(R); }, [this](TWriter* W) { WriteHeight(W); },
      NeedStoreHeight());
  Filer->DefineProperty(
      u"AnchorX", [this](TReader* R) { ReadAnchorX(R); }, [this](TWriter* W) { WriteAnchorX(W); },
      UseAnchorX());
  Filer->DefineProperty(
      u"AnchorY", [this](TReader* R) { ReadAnchorY(R); }, [this](TWriter* W) { WriteAnchorY(W); },
      UseAnchorY());
}

void TcxCustomEdit::ReadWidth(TReader* Reader) {
  SetWidth(Reader->ReadInteger());
}

void TcxCustomEdit::ReadHeight(TReader* Reader) {
  SetHeight(Reader->ReadInteger());
}

void TcxCustomEdit::ReadAnchorX(TReader* Reader) {
  FAnchorX = Reader->ReadInteger();
  FAnchorXRead = true;
}

void TcxCustomEdit::ReadAnchorY(TReader* Reader) {
  FAnchorY = Reader->ReadInteger();
  FAnchorYRead = true;
}

void TcxCustomEdit::WriteWidth(TWriter* Writer) {
  Writer->WriteInteger(Width());
}

void TcxCustomEdit::WriteHeight(TWriter* Writer) {
  Writer->WriteInteger(Height());
}

void TcxCustomEdit::WriteAnchorX(TWriter* Writer) {
  CalculateAnchors();
  Writer->WriteInteger(FAnchorX);
}

void TcxCustomEdit::WriteAnchorY(TWriter* Writer) {
  CalculateAnchors();
  Writer->WriteInteger(FAnchorY);
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
