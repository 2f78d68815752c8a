#include "ui/editors/cxEdit.h"

#include <algorithm>

#include "platform/base/strings.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "platform/forms/forms.h"
#include "platform/os/gdi.h"
#include "platform/os/user.h"
#include "platform/classes/rtti.h"
#include "ui/editors/cxEditConsts.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/cxGraphicsImages.h"

namespace qd {

QD_IMPLEMENT_CLASS(EcxEditError)
QD_IMPLEMENT_CLASS(TcxEditAlignment)
QD_IMPLEMENT_CLASS(TcxCustomEditPropertiesValues)
QD_IMPLEMENT_CLASS(TcxCustomEditDefaultValuesProvider)
QD_IMPLEMENT_CLASS(TcxCustomEditProperties)
QD_IMPLEMENT_CLASS(TcxEditChangeEventsCatcher)
QD_IMPLEMENT_CLASS(TcxEditRepositoryItem)
QD_IMPLEMENT_CLASS(TcxEditRepository)

namespace {
TcxRegisteredClasses* gEditRegisteredEditProperties = nullptr;
TList* gEditCreatedPropertiesList = nullptr;
TcxEditStyleController* gEditDefaultStyleController = nullptr;
// The container framework's default controller before the editors' replaced it.
TcxStyleController* gEditPrevContainerDefaultStyleController = nullptr;
}  // namespace

TcxBitmap32* cxEditErrorIcon = nullptr;
TcxBitmap32* cxEditWarningIcon = nullptr;
TcxBitmap32* cxEditInfoIcon = nullptr;

TcxEditStyleController* DefaultEditStyleController() {
  return gEditDefaultStyleController;
}

TcxRegisteredClasses* GetRegisteredEditProperties() {
  if (!gEditRegisteredEditProperties) {
    gEditRegisteredEditProperties = new TcxRegisteredClasses();
    gEditRegisteredEditProperties->SetSorted(true);
  }
  return gEditRegisteredEditProperties;
}

TList* CreatedEditPropertiesList() {
  if (!gEditCreatedPropertiesList) gEditCreatedPropertiesList = new TList();
  return gEditCreatedPropertiesList;
}

// --- TcxEditAlignment ---------------------------------------------------------------------

TcxEditAlignment::TcxEditAlignment(TPersistent* AOwner, TcxEditVertAlignment ADefaultVertAlignment,
                                   TAlignment ADefaultHorzAlignment)
    : FOwner(AOwner),
      FHorz(ADefaultHorzAlignment),
      FVert(ADefaultVertAlignment),
      FDefaultHorzAlignment(ADefaultHorzAlignment),
      FDefaultVertAlignment(ADefaultVertAlignment) {}

void TcxEditAlignment::RegisterProperties(TPropertyRegistrar& r) {
  static const TTypeInfo vertInfo =
      MakeEnumTypeInfo(u"TcxEditVertAlignment", {u"taTopJustify", u"taBottomJustify", u"taVCenter"});
  r.Prop("Horz", &TcxEditAlignment::Horz, &TcxEditAlignment::SetHorz, TypeInfoTAlignment())
      .Stored(&TcxEditAlignment::IsHorzStored);
  r.Prop("Vert", &TcxEditAlignment::Vert, &TcxEditAlignment::SetVert, &vertInfo)
      .Stored(&TcxEditAlignment::IsVertStored);
}

void TcxEditAlignment::Assign(TPersistent* Source) {
  if (auto* src = ObjectCast<TcxEditAlignment>(Source)) {
    FVert = src->FVert;
    FHorz = src->FHorz;
    FIsHorzAssigned = src->FIsHorzAssigned;
    DoChanged();
  } else {
    TPersistent::Assign(Source);
  }
}

void TcxEditAlignment::Reset() {
  FIsHorzAssigned = false;
  DoChanged();
}

void TcxEditAlignment::SetHorz(TAlignment Value) {
  if (FIsHorzAssigned && FHorz == Value) return;
  FHorz = Value;
  FIsHorzAssigned = true;
  DoChanged();
}

void TcxEditAlignment::SetVert(TcxEditVertAlignment Value) {
  if (FVert == Value) return;
  FVert = Value;
  DoChanged();
}

void TcxEditAlignment::DoChanged() {
  if (FOnChanged) FOnChanged(this);
}

// --- TcxCustomEditPropertiesValues ----------------------------------------------------------

TPersistent* TcxCustomEditPropertiesValues::GetOwner() const {
  return FOwner;
}

void TcxCustomEditPropertiesValues::Assign(TPersistent* Source) {
  if (auto* src = ObjectCast<TcxCustomEditPropertiesValues>(Source)) {
    FOwner->BeginUpdate();
    SetMaxValue(src->FMaxValue);
    SetMinValue(src->FMinValue);
    SetReadOnly(src->FReadOnly);
    FOwner->EndUpdate();
  } else {
    TPersistent::Assign(Source);
  }
}

void TcxCustomEditPropertiesValues::RestoreDefaults() {
  FOwner->BeginUpdate();
  SetMaxValue(false);
  SetMinValue(false);
  SetReadOnly(false);
  FOwner->EndUpdate();
}

void TcxCustomEditPropertiesValues::SetFlag(bool& AFlag, bool Value) {
  if (AFlag == Value) return;
  AFlag = Value;
  FOwner->Changed();
}

void TcxCustomEditPropertiesValues::SetMaxValue(bool Value) {
  SetFlag(FMaxValue, Value);
}
void TcxCustomEditPropertiesValues::SetMinValue(bool Value) {
  SetFlag(FMinValue, Value);
}
void TcxCustomEditPropertiesValues::SetReadOnly(bool Value) {
  SetFlag(FReadOnly, Value);
}

bool IsPropertiesPropertyVisible(TcxCustomEditProperties* AProperties, const Char* AName) {
  AProperties->EnsurePublished();
  return GetPropInfo(AProperties, AName) != nullptr;
}

bool TcxCustomEditPropertiesValues::IsMaxValueStored() const {
  return FMaxValue && FOwner->MaxValue() == 0 && IsPropertiesPropertyVisible(FOwner, u"MaxValue");
}

bool TcxCustomEditPropertiesValues::IsMinValueStored() const {
  return FMinValue && FOwner->MinValue() == 0 && IsPropertiesPropertyVisible(FOwner, u"MinValue");
}

// --- TcxCustomEditDefaultValuesProvider -------------------------------------------------------

TcxCustomEditDefaultValuesProvider::~TcxCustomEditDefaultValuesProvider() {
  if (!gEditCreatedPropertiesList) return;
  for (int i = 0; i < gEditCreatedPropertiesList->Count(); ++i) {
    auto* props = static_cast<TcxCustomEditProperties*>(gEditCreatedPropertiesList->Items(i));
    IcxEditDefaultValuesProvider* provider = props->IDefaultValuesProvider();
    if (provider && provider->GetInstance() == static_cast<TObject*>(this))
      props->DefaultValuesProviderDestroyed();
  }
}

// --- TcxCustomEditProperties ----------------------------------------------------------------

TcxCustomEditProperties::TcxCustomEditProperties(TPersistent* AOwner) : TcxInterfacedPersistent(AOwner) {
  CreatedEditPropertiesList()->Add(this);
  FAlignment = new TcxEditAlignment(this, GetDefaultVertAlignment());
  FInnerAlignment = new TcxEditAlignment(this, GetDefaultVertAlignment());
  FAssignedValues = new TcxCustomEditPropertiesValues(this);
  FUseLeftAlignmentOnEditing = DefaultUseLeftAlignmentOnEditing();
  FScaleFactor = std::make_unique<TdxOwnedScaleFactor>();
  FScaleFactor->ListenerAdd(MakeMethod(this, &TcxCustomEditProperties::ScaleFactorChanged));
}

void TcxCustomEditProperties::AfterConstruction() {
  TcxInterfacedPersistent::AfterConstruction();
  FScaleFactor->SetOwner(dxGetScaleFactor(Owner()));
}

void TcxCustomEditProperties::ScaleFactorChanged(TObject*, int32_t M, int32_t D, bool) {
  ChangeScale(M, D);
}

TdxSmartImage* TcxCustomEditProperties::ErrorIcon() {
  if (!FErrorIcon) FErrorIcon = std::make_unique<TdxSmartImage>();
  return FErrorIcon.get();
}

void TcxCustomEditProperties::SetErrorIcon(TdxSmartImage* Value) {
  if (Value)
    ErrorIcon()->Assign(Value);
  else
    FErrorIcon = std::make_unique<TdxSmartImage>();
  Changed();
}

void TcxCustomEditProperties::InitDefaultVertAlignment() {
  for (TcxEditAlignment* alignment : {FAlignment, FInnerAlignment}) {
    alignment->FDefaultVertAlignment = GetDefaultVertAlignment();
    alignment->FVert = alignment->FDefaultVertAlignment;
  }
}

void TcxCustomEditProperties::InitAssignedValues(TcxCustomEditPropertiesValues* AValues) {
  delete FAssignedValues;
  FAssignedValues = AValues;
}

TcxCustomEditProperties::~TcxCustomEditProperties() {
  ClearPropertiesDestroyingListeners(this);
  FScaleFactor->ListenerRemove(MakeMethod(this, &TcxCustomEditProperties::ScaleFactorChanged));
  FScaleFactor->SetOwner(nullptr);
  FIDefaultValuesProvider = nullptr;
  if (FImageChangeLink) {
    FImageChangeLink->OnChange = nullptr;
    TCustomImageList* images = FButtons->Images();
    cxSetImageList(nullptr, images, FImageChangeLink.get(), FFreeNotificator.get());
  }
  delete FButtons;
  delete FAssignedValues;
  delete FInnerAlignment;
  delete FAlignment;
  if (gEditCreatedPropertiesList) gEditCreatedPropertiesList->Remove(this);
}

void TcxCustomEditProperties::Assign(TPersistent* Source) {
  if (auto* src = ObjectCast<TcxCustomEditProperties>(Source)) {
    BeginUpdate();
    try {
      DoAssign(src);
    } catch (...) {
      EndUpdate(true);
      throw;
    }
    EndUpdate(true);
  } else {
    TcxInterfacedPersistent::Assign(Source);
  }
}

TcxCustomEditProperties* TcxCustomEditProperties::Clone(TPersistent* AOwner) {
  auto* result = static_cast<TcxCustomEditProperties*>(ClassType()->Create(AOwner));
  result->Assign(this);
  return result;
}

void TcxCustomEditProperties::BeginUpdate() {
  if (FUpdateCount == 0) FChangedOccurred = false;
  ++FUpdateCount;
}

void TcxCustomEditProperties::EndUpdate(bool AInvokeChanged) {
  if (FUpdateCount == 0) return;
  --FUpdateCount;
  if (FUpdateCount == 0 && AInvokeChanged && FChangedOccurred) Changed();
}

void TcxCustomEditProperties::Changed() {
  TComponent* owner = GetOwnerComponent(Owner());
  if (ChangedLocked() || (owner && owner->ComponentState().Contains(csDestroying))) {
    FChangedOccurred = true;
    return;
  }
  DoChanged();
}

void TcxCustomEditProperties::DoChanged() {
  if (!FOnPropertiesChanged) return;
  ++FIsChangingCount;
  try {
    FOnPropertiesChanged(this);
  } catch (...) {
    --FIsChangingCount;
    throw;
  }
  --FIsChangingCount;
}

bool TcxCustomEditProperties::IsDesigning() const {
  auto* owner = ObjectCast<TComponent>(Owner());
  return owner && owner->ComponentState().Contains(csDesigning);
}

void TcxCustomEditProperties::Update(TcxCustomEditProperties* AProperties) {
  if (AProperties && AProperties != this && AProperties->InheritsFrom(ClassType())) DoUpdate(AProperties);
}

bool TcxCustomEditProperties::ReadOnly() const {
  if (FAssignedValues->ReadOnly()) return FReadOnly;
  if (FIDefaultValuesProvider) return FIDefaultValuesProvider->DefaultReadOnly();
  return false;
}

void TcxCustomEditProperties::SetReadOnly(bool Value) {
  if (FAssignedValues->ReadOnly() && FReadOnly == Value) return;
  FReadOnly = Value;
  FAssignedValues->FReadOnly = true;
  Changed();
}

double TcxCustomEditProperties::GetMaxValue() const {
  if (FAssignedValues->MaxValue()) return FMaxValue;
  return FIDefaultValuesProvider ? FIDefaultValuesProvider->DefaultMaxValue() : 0;
}

double TcxCustomEditProperties::GetMinValue() const {
  if (FAssignedValues->MinValue()) return FMinValue;
  return FIDefaultValuesProvider ? FIDefaultValuesProvider->DefaultMinValue() : 0;
}

void TcxCustomEditProperties::SetMaxValue(double Value) {
  if (FAssignedValues->MaxValue() && FMaxValue == Value) return;
  FMaxValue = Value;
  FAssignedValues->FMaxValue = true;
  Changed();
}

void TcxCustomEditProperties::SetMinValue(double Value) {
  if (FAssignedValues->MinValue() && FMinValue == Value) return;
  FMinValue = Value;
  FAssignedValues->FMinValue = true;
  Changed();
}

void TcxCustomEditProperties::FillMinMaxValues(double AMax, double AMin) {
  if (FAssignedValues->MaxValue() && FAssignedValues->MinValue() && FMaxValue == AMax && FMinValue == AMin)
    return;
  FMaxValue = AMax;
  FMinValue = AMin;
  FAssignedValues->FMaxValue = true;
  FAssignedValues->FMinValue = true;
  Changed();
}

bool TcxCustomEditProperties::CanModify() {
  if (FAssignedValues->ReadOnly() && FReadOnly) return false;
  bool readOnly = ReadOnly();
  if (!readOnly && FIDefaultValuesProvider)
    return FIDefaultValuesProvider->DefaultCanModify() && FIDefaultValuesProvider->CanSetEditMode();
  return !readOnly;
}

void TcxCustomEditProperties::SetValidationOptions(TcxEditValidationOptions Value) {
  if (FValidationOptions == Value) return;
  FValidationOptions = Value;
  FInternalValidationOptions = Value;
  Changed();
}

void TcxCustomEditProperties::SetIDefaultValuesProvider(IcxEditDefaultValuesProvider* Value) {
  FIDefaultValuesProvider = Value;
  // An editor's look follows its data source; other owners are told by their editors.
  if (IsEditorOwned()) Changed();
}

TcxEditAlignment* TcxCustomEditProperties::Alignment() {
  FAlignment->SetOnChanged(nullptr);
  FAlignment->Assign(FInnerAlignment);
  TComponent* owner = GetOwnerComponent(this);
  bool innerStored = FInnerAlignment->IsHorzStored() || FInnerAlignment->IsVertStored();
  if (!(innerStored && owner && owner->ComponentState().Contains(csWriting))) {
    if (!FInnerAlignment->IsHorzStored()) {
      FAlignment->FHorz = GetDefaultHorzAlignment();
      FAlignment->FIsHorzAssigned = false;
    }
  }
  FAlignment->SetOnChanged(MakeMethod(this, &TcxCustomEditProperties::AlignmentChangedHandler));
  return FAlignment;
}

void TcxCustomEditProperties::AlignmentChangedHandler(TObject*) {
  FInnerAlignment->Assign(FAlignment);
  Changed();
}

void TcxCustomEditProperties::BaseSetAlignment(TcxEditAlignment* Value) {
  FInnerAlignment->Assign(Value);
  Changed();
}

TAlignment TcxCustomEditProperties::GetDefaultHorzAlignment() {
  if (FIDefaultValuesProvider) return FIDefaultValuesProvider->DefaultAlignment();
  return FInnerAlignment->Horz();
}

String TcxCustomEditProperties::GetValidateErrorText(TcxEditErrorKind) {
  return cxGetResourceString(cxSEditValidateErrorText);
}

bool TcxCustomEditProperties::GetValueEditorEditValueSource(bool AEditFocused) {
  TcxEditDisplayFormatOptions options = GetDisplayFormatOptions();
  return !AEditFocused && options.Contains(dfoSupports) && FIDefaultValuesProvider &&
         FIDefaultValuesProvider->IsDisplayFormatDefined(!options.Contains(dfoNoCurrencyValue));
}

bool TcxCustomEditProperties::IsValueFormattedByProvider() {
  TcxEditDisplayFormatOptions options = GetDisplayFormatOptions();
  return !IsValueFormattedByProperties() && options.Contains(dfoSupports) &&
         GetEditValueSource(true) == evsValue && GetEditValueSource(false) == evsText &&
         FIDefaultValuesProvider &&
         FIDefaultValuesProvider->IsDisplayFormatDefined(!options.Contains(dfoNoCurrencyValue));
}

bool TcxCustomEditProperties::CompareDisplayValues(const Variant& AEditValue1, const Variant& AEditValue2) {
  Variant v1, v2;
  PrepareDisplayValue(AEditValue1, v1, false);
  PrepareDisplayValue(AEditValue2, v2, false);
  return VarSameValue(v1, v2);
}

String TcxCustomEditProperties::GetDisplayText(const Variant&, bool, bool) {
  return {};
}

void TcxCustomEditProperties::PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool) {
  DisplayValue = AEditValue;
}

void TcxCustomEditProperties::RestoreDefaults() {
  FInnerAlignment->Reset();
  BeginUpdate();
  FAssignedValues->RestoreDefaults();
  EndUpdate();
}

void TcxCustomEditProperties::ValidateDisplayValue(Variant& ADisplayValue, String& AErrorText, bool& AError,
                                                   const TValidateHandler& AValidator,
                                                   const Variant* ACurrentDisplayValue) {
  if (!CanValidate()) return;
  if (AErrorText.empty()) AErrorText = GetValidateErrorText(ekDefault);
  if (!AValidator) return;
  Variant prev = ADisplayValue;
  AValidator(ADisplayValue, AErrorText, AError);
  if (AError && ACurrentDisplayValue && InternalVarEqualsExact(prev, ADisplayValue))
    ADisplayValue = *ACurrentDisplayValue;
}

void TcxCustomEditProperties::DoAssign(TcxCustomEditProperties* Source) {
  SetImages(Source->Images());
  SetAutoSelect(Source->AutoSelect());
  Buttons()->Assign(Source->Buttons());
  SetButtonsViewStyle(Source->ButtonsViewStyle());
  SetBeepOnError(Source->BeepOnError());
  SetClearKey(Source->ClearKey());
  SetClickKey(Source->ClickKey());
  SetUseLeftAlignmentOnEditing(Source->UseLeftAlignmentOnEditing());
  SetIDefaultValuesProvider(Source->IDefaultValuesProvider());
  BaseSetAlignment(Source->FInnerAlignment);
  FAssignedValues->SetMaxValue(false);
  FAssignedValues->SetMinValue(false);
  FAssignedValues->SetReadOnly(false);
  if (Source->AssignedValues()->MaxValue()) SetMaxValue(Source->FMaxValue);
  if (Source->AssignedValues()->MinValue()) SetMinValue(Source->FMinValue);
  if (Source->AssignedValues()->ReadOnly()) SetReadOnly(Source->FReadOnly);
  SetImmediatePost(Source->ImmediatePost());
  SetTransparent(Source->Transparent());
  SetUseMouseWheel(Source->UseMouseWheel());
  SetValidateOnEnter(Source->ValidateOnEnter());
  SetValidationOptions(Source->ValidationOptions());
  SetValidationErrorIconAlignment(Source->ValidationErrorIconAlignment());
  FOnButtonClick = Source->FOnButtonClick;
  FOnChange = Source->FOnChange;
  FOnEditValueChanged = Source->FOnEditValueChanged;
  FOnValidate = Source->FOnValidate;
}

// --- TcxEditChangeEventsCatcher -----------------------------------------------------------

void TcxEditChangeEventsCatcher::Lock(bool ALock, bool AInvokeChangedOnUnlock) {
  if (ALock) {
    if (FLockCount == 0) {
      FOnChangeEvent = false;
      FOnEditValueChangedEvent = false;
    }
    ++FLockCount;
    return;
  }
  if (FLockCount <= 0) return;
  if (--FLockCount == 0 && AInvokeChangedOnUnlock) InvokeEditChangedEvents();
}

void TcxEditChangeEventsCatcher::InvokeEditChangedEvents() {
  if (FEdit->IsLoadingOrDestroying()) return;
  if (FOnChangeEvent && FEdit->HasOnChangeHandler()) {
    FOnChangeEvent = false;
    FEdit->DoOnChange();
  }
  if (FOnEditValueChangedEvent && FEdit->HasOnEditValueChangedHandler()) {
    FOnEditValueChangedEvent = false;
    FEdit->DoOnEditValueChanged();
  }
}

// --- TcxEditRepositoryItem -------------------------------------------------------------------

TcxEditRepositoryItem::TcxEditRepositoryItem(TComponent* AOwner) : TComponent(AOwner) {}

TcxEditRepositoryItem::~TcxEditRepositoryItem() {
  while (!FListenerList.empty()) {
    IcxEditRepositoryItemListener* listener = FListenerList.back();
    listener->RepositoryItemListenerItemRemoved(this);
    // The listener may have removed itself already.
    auto it = std::find(FListenerList.begin(), FListenerList.end(), listener);
    if (it != FListenerList.end()) FListenerList.erase(it);
  }
  SetRepository(nullptr);
  delete FProperties;
}

TcxCustomEditProperties* TcxEditRepositoryItem::Properties() {
  if (!FProperties) {
    // Created on first use: the properties class is a virtual answer of the item's class.
    FProperties = static_cast<TcxCustomEditProperties*>(GetEditPropertiesClass()->Create(this));
    FProperties->SetOnPropertiesChanged(MakeMethod(this, &TcxEditRepositoryItem::PropertiesChanged));
  }
  return FProperties;
}

void TcxEditRepositoryItem::PropertiesChanged(TObject*) {
  for (size_t i = FListenerList.size(); i-- > 0;) {
    if (i < FListenerList.size()) FListenerList[i]->RepositoryItemListenerPropertiesChanged(this);
  }
}

void TcxEditRepositoryItem::AddListener(IcxEditRepositoryItemListener* AListener) {
  if (std::find(FListenerList.begin(), FListenerList.end(), AListener) == FListenerList.end())
    FListenerList.push_back(AListener);
}

void TcxEditRepositoryItem::RemoveListener(IcxEditRepositoryItemListener* AListener) {
  auto it = std::find(FListenerList.begin(), FListenerList.end(), AListener);
  if (it != FListenerList.end()) FListenerList.erase(it);
}

String TcxEditRepositoryItem::GetBaseName() const {
  static const String kPrefix = u"TcxEditRepository";
  String className = ClassName();
  String result;
  size_t pos = className.find(kPrefix);
  if (pos != String::npos) result = className.substr(pos + kPrefix.size());
  if (FRepository) result = FRepository->Name() + result;
  return result;
}

bool TcxEditRepositoryItem::ArePropertiesCompatible(TClass AClass) const {
  return const_cast<TcxEditRepositoryItem*>(this)->Properties()->InheritsFrom(AClass);
}

TComponent* TcxEditRepositoryItem::GetParentComponent() const {
  return FRepository;
}

void TcxEditRepositoryItem::SetParentComponent(TComponent* Value) {
  if (ComponentState().Contains(csLoading)) return;
  if (auto* repository = ObjectCast<TcxEditRepository>(Value)) SetRepository(repository);
}

void TcxEditRepositoryItem::SetRepository(TcxEditRepository* Value) {
  if (FRepository == Value) return;
  if (FRepository) FRepository->RemoveItem(this);
  FRepository = Value;
  if (FRepository) FRepository->AddItem(this);
}

// --- TcxEditRepository ------------------------------------------------------------------------

TcxEditRepository::~TcxEditRepository() {
  Clear();
}

TcxEditRepositoryItem* TcxEditRepository::CreateItem(TClass AItemClass) {
  return CreateItemEx(AItemClass, this);
}

TcxEditRepositoryItem* TcxEditRepository::CreateItemEx(TClass AItemClass, TComponent* AOwner) {
  if (!AItemClass || !AItemClass->InheritsFrom(TcxEditRepositoryItem::StaticClass()))
    throw EcxEditError(u"Not a repository item class");
  auto* item = static_cast<TcxEditRepositoryItem*>(AItemClass->Create(AOwner));
  item->SetRepository(this);
  return item;
}

void TcxEditRepository::Clear() {
  while (!FItems.empty()) delete FItems.back();
}

TcxEditRepositoryItem* TcxEditRepository::ItemByName(const String& AName) const {
  for (TcxEditRepositoryItem* item : FItems)
    if (SameText(item->Name(), AName)) return item;
  return nullptr;
}

void TcxEditRepository::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  for (TcxEditRepositoryItem* item : FItems)
    if (item->Owner() == Root) Proc(item);
}

void TcxEditRepository::AddItem(TcxEditRepositoryItem* AItem) {
  if (std::find(FItems.begin(), FItems.end(), AItem) == FItems.end()) FItems.push_back(AItem);
}

void TcxEditRepository::RemoveItem(TcxEditRepositoryItem* AItem) {
  auto it = std::find(FItems.begin(), FItems.end(), AItem);
  if (it != FItems.end()) FItems.erase(it);
}

// --- Helpers ----------------------------------------------------------------------------------

bool InternalVarEqualsExact(const Variant& V1, const Variant& V2) {
  if (VarType(V1) != VarType(V2)) return false;
  if (VarIsNull(V1) || VarIsEmpty(V1)) return true;
  return VarSameValue(V1, V2);
}

bool cxEditVarEquals(const Variant& V1, const Variant& V2) {
  bool typesAgree =
      (VarIsNumeric(V1) && VarIsNumeric(V2)) || (VarIsStr(V1) && VarIsStr(V2)) || VarType(V1) == VarType(V2);
  if (!typesAgree) return false;
  if (VarIsNull(V1) || VarIsEmpty(V1)) return true;
  return VarSameValue(V1, V2);
}

bool IsSpaceChar(Char C) {
  return C == 0 || C == u'\t' || C == u'\n' || C == u'\f' || C == u'\r' || C == u' ';
}

TComponent* GetOwnerComponent(TPersistent* APersistent) {
  for (TPersistent* p = APersistent; p; p = p->GetOwner())
    if (auto* component = ObjectCast<TComponent>(p)) return component;
  return nullptr;
}

TShiftState ButtonToShift(TMouseButton AButton) {
  switch (AButton) {
    case mbLeft:
      return TShiftState{ssLeft};
    case mbRight:
      return TShiftState{ssRight};
    case mbMiddle:
      return TShiftState{ssMiddle};
  }
  return {};
}

TShiftState cxButtonToShift(TcxMouseButton AButton) {
  switch (AButton) {
    case cxmbNone:
      return {};
    case cxmbLeft:
      return TShiftState{ssLeft};
    case cxmbRight:
      return TShiftState{ssRight};
    case cxmbMiddle:
      return TShiftState{ssMiddle};
  }
  return {};
}

namespace {
WPARAM EditShiftStateToKeys(TShiftState AShift) {
  WPARAM keys = 0;
  if (AShift.Contains(ssShift)) keys |= MK_SHIFT;
  if (AShift.Contains(ssCtrl)) keys |= MK_CONTROL;
  if (AShift.Contains(ssLeft)) keys |= MK_LBUTTON;
  if (AShift.Contains(ssRight)) keys |= MK_RBUTTON;
  if (AShift.Contains(ssMiddle)) keys |= MK_MBUTTON;
  return keys;
}
}  // namespace

LRESULT SendMouseEvent(TWinControl* AReceiver, UINT AMessage, TShiftState AShift, const TPoint& APoint) {
  const LPARAM point = static_cast<LPARAM>((static_cast<uint32_t>(static_cast<uint16_t>(APoint.Y)) << 16) |
                                           static_cast<uint16_t>(APoint.X));
  return SendMessageW(AReceiver->Handle(), AMessage, EditShiftStateToKeys(AShift), point);
}

LRESULT SendKeyEvent(TWinControl* AReceiver, UINT AMessage, WPARAM AKey, TShiftState) {
  return SendMessageW(AReceiver->Handle(), AMessage, AKey, 0);
}

LRESULT SendKeyDown(TWinControl* AReceiver, WORD AKey, TShiftState AShift) {
  return SendKeyEvent(AReceiver, WM_KEYDOWN, AKey, AShift);
}

LRESULT SendKeyPress(TWinControl* AReceiver, Char AKey) {
  return SendKeyEvent(AReceiver, WM_CHAR, AKey, {});
}

void UniteRegions(HRGN ADest, HRGN ASource) {
  CombineRgn(ADest, ADest, ASource, RGN_OR);
}

namespace cxEdit {

void Initialize() {
  if (Screen)
    Screen->SetCursors(crcxEditMouseWheel, LoadCursorW(GetModuleHandleW(nullptr), u"CXEDIT_MOUSEWHEEL"));
  GetRegisteredEditProperties();
  gEditDefaultStyleController = new TcxEditStyleController(nullptr);
  gEditPrevContainerDefaultStyleController = cxContainerDefaultStyleController;
  cxContainerDefaultStyleController = gEditDefaultStyleController;
  cxEditErrorIcon = cxEditCreateValidationIcon(ekError);
  cxEditWarningIcon = cxEditCreateValidationIcon(ekWarning);
  cxEditInfoIcon = cxEditCreateValidationIcon(ekInfo);
}

void Finalize() {
  for (TcxBitmap32** icon : {&cxEditErrorIcon, &cxEditWarningIcon, &cxEditInfoIcon}) {
    delete *icon;
    *icon = nullptr;
  }
  if (cxContainerDefaultStyleController == gEditDefaultStyleController)
    cxContainerDefaultStyleController = gEditPrevContainerDefaultStyleController;
  gEditPrevContainerDefaultStyleController = nullptr;
  delete gEditDefaultStyleController;
  gEditDefaultStyleController = nullptr;
  delete gEditRegisteredEditProperties;
  gEditRegisteredEditProperties = nullptr;
  delete gEditCreatedPropertiesList;
  gEditCreatedPropertiesList = nullptr;
}

}  // namespace cxEdit

}  // namespace qd
