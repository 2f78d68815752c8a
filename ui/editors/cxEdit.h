#pragma once
// The base editor unit: the editors' exception class, the editor properties with their
// alignment, assigned values and default-values provider, the change-events catcher, the
// edit repository and the process-wide registries of the editor framework.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/base/variant.h"
#include "platform/classes/classes.h"
#include "platform/classes/lists.h"
#include "platform/forms/controls.h"
#include "platform/forms/imglist.h"
#include "platform/forms/menus.h"
#include "ui/controls/cxContainer.h"
#include "ui/controls/cxControlsRightToLeft.h"
#include "ui/core/cxClasses.h"
#include "ui/core/cxGeometryScaleFactor.h"
#include "ui/core/dxCore.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/core/dxCoreClasses.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/lookandfeel/dxFading.h"

namespace qd {

// Errors raised by editors and their helpers.
class EcxEditError : public EdxException {
  QD_CLASS(EcxEditError, EdxException)

 public:
  using EdxException::EdxException;
};

// --- Shared enumerations ---------------------------------------------------------------

enum TcxEditEditingStyle : uint8_t { esEdit, esEditList, esFixedList, esNoEdit };
enum TcxEditSupportedOperation : uint8_t {
  esoAlwaysHotTrack,
  esoAutoHeight,
  esoEditing,
  esoFiltering,
  esoHorzAlignment,
  esoHotTrack,
  esoIncSearch,
  esoShowingCaption,
  esoSorting,
  esoSortingByDisplayText,
  esoTransparency,
  esoEditingAutoHeight,
  esoNeedHandle,
  esoAutoWidth
};
using TcxEditSupportedOperations = TSet<TcxEditSupportedOperation>;
enum TcxEditCloseUpReason : uint8_t { crUnknown, crTab, crClose, crCancel, crEnter };
enum TcxBlobKind : uint8_t { bkNone, bkBlob, bkGraphic, bkMemo, bkOle };
enum TcxEditButtonsViewStyle : uint8_t { bvsNormal, bvsButtonsOnly, bvsButtonsAutoWidth };
enum TcxEditVertAlignment : uint8_t { taTopJustify, taBottomJustify, taVCenter };
enum TcxEditValidationOption : uint8_t { evoRaiseException, evoShowErrorIcon, evoAllowLoseFocus };
using TcxEditValidationOptions = TSet<TcxEditValidationOption>;
enum TcxEditErrorKind : uint8_t { ekDefault, ekError, ekWarning, ekInfo, ekValueOutOfBounds };
enum TcxEditDisplayFormatOption : uint8_t { dfoSupports, dfoNoCurrencyValue };
using TcxEditDisplayFormatOptions = TSet<TcxEditDisplayFormatOption>;
enum TcxEditSpecialFeature : uint8_t {
  esfBlobEditValue,
  esfMinSize,
  esfNoContentPart,
  esfClickable,
  esfMultiRow
};
using TcxEditSpecialFeatures = TSet<TcxEditSpecialFeature>;
enum TcxEditEditValueSource : uint8_t { evsValue, evsText, evsKey };

using TLeftRight = TAlignment;  // taLeftJustify or taRightJustify

constexpr TAlignment cxEditDefaultHorzAlignment = taLeftJustify;
constexpr TcxEditVertAlignment cxEditDefaultVertAlignment = taTopJustify;

class TcxCustomEditProperties;
class TcxCustomEditButtons;
class TcxCustomEditStyle;
class TcxCustomEditViewData;

using TcxEditButtonClickEvent = TMethod<void(TObject* Sender, int32_t AButtonIndex)>;
using TcxEditClosePopupEvent = TMethod<void(TObject* Sender, TcxEditCloseUpReason AReason)>;
using TcxEditValidateEvent =
    TMethod<void(TObject* Sender, Variant& DisplayValue, String& ErrorText, bool& Error)>;

// --- Alignment -------------------------------------------------------------------------

// Horizontal and vertical alignment; the horizontal value remembers whether it was set
// explicitly, so that an unset one can follow a default supplied from elsewhere.
class TcxEditAlignment : public TPersistent {
  QD_CLASS(TcxEditAlignment, TPersistent)
  QD_PUBLISHED(TcxEditAlignment)

 public:
  explicit TcxEditAlignment(TPersistent* AOwner,
                            TcxEditVertAlignment ADefaultVertAlignment = cxEditDefaultVertAlignment,
                            TAlignment ADefaultHorzAlignment = cxEditDefaultHorzAlignment);

  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override { return FOwner; }
  // Clears the assigned mark of the horizontal value (the value stays) and notifies.
  void Reset();
  bool IsHorzStored() const { return FIsHorzAssigned || FHorz != FDefaultHorzAlignment; }
  bool IsVertStored() const { return FVert != FDefaultVertAlignment; }

  TAlignment Horz() const { return FHorz; }
  void SetHorz(TAlignment Value);
  TcxEditVertAlignment Vert() const { return FVert; }
  void SetVert(TcxEditVertAlignment Value);
  bool IsHorzAssigned() const { return FIsHorzAssigned; }

  const TNotifyEvent& OnChanged() const { return FOnChanged; }
  void SetOnChanged(const TNotifyEvent& Value) { FOnChanged = Value; }

 protected:
  void DoChanged();

 private:
  friend class TcxCustomEditProperties;
  TPersistent* FOwner;
  TAlignment FHorz;
  TcxEditVertAlignment FVert;
  TAlignment FDefaultHorzAlignment;
  TcxEditVertAlignment FDefaultVertAlignment;
  bool FIsHorzAssigned = false;
  TNotifyEvent FOnChanged;
};

// --- Assigned values ---------------------------------------------------------------------

// Which optional values of editor properties are set explicitly.
class TcxCustomEditPropertiesValues : public TPersistent {
  QD_CLASS(TcxCustomEditPropertiesValues, TPersistent)

 public:
  explicit TcxCustomEditPropertiesValues(TcxCustomEditProperties* AOwner) : FOwner(AOwner) {}
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override;
  virtual void RestoreDefaults();

  bool MaxValue() const { return FMaxValue; }
  void SetMaxValue(bool Value);
  bool MinValue() const { return FMinValue; }
  void SetMinValue(bool Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);

  // An explicit 0 is only kept in stored forms when the owner publishes the value.
  bool IsMaxValueStored() const;
  bool IsMinValueStored() const;

 protected:
  TcxCustomEditProperties* Properties() const { return FOwner; }

 private:
  friend class TcxCustomEditProperties;
  void SetFlag(bool& AFlag, bool Value);
  TcxCustomEditProperties* FOwner;
  bool FMaxValue = false;
  bool FMinValue = false;
  bool FReadOnly = false;
};

// --- Default values from a data source ------------------------------------------------

class IcxEditDefaultValuesProvider {
 public:
  virtual ~IcxEditDefaultValuesProvider() = default;
  virtual bool CanSetEditMode() = 0;
  virtual bool DefaultCanModify() = 0;
  virtual TAlignment DefaultAlignment() = 0;
  virtual TcxBlobKind DefaultBlobKind() = 0;
  virtual String DefaultDisplayFormat() = 0;
  virtual String DefaultEditFormat() = 0;
  virtual String DefaultEditMask() = 0;
  virtual bool DefaultIsFloatValue() = 0;
  virtual int32_t DefaultMaxLength() = 0;
  virtual double DefaultMaxValue() = 0;
  virtual double DefaultMinValue() = 0;
  virtual int32_t DefaultPrecision() = 0;
  virtual bool DefaultReadOnly() = 0;
  virtual bool DefaultRequired() = 0;
  virtual TObject* GetInstance() = 0;
  virtual bool IsBlob() = 0;
  virtual bool IsCurrency() = 0;
  virtual bool IsDataAvailable() = 0;
  virtual bool IsDataStorage() = 0;
  virtual bool IsDisplayFormatDefined(bool AIsCurrencyValueAccepted) = 0;
  virtual bool IsOnGetTextAssigned() = 0;
  virtual bool IsOnSetTextAssigned() = 0;
  virtual bool IsValidChar(Char AChar) = 0;
};

// The provider of an editor without a data source: it states no preference.
class TcxCustomEditDefaultValuesProvider : public TcxInterfacedPersistent,
                                           public IcxEditDefaultValuesProvider {
  QD_CLASS(TcxCustomEditDefaultValuesProvider, TcxInterfacedPersistent)

 public:
  explicit TcxCustomEditDefaultValuesProvider(TPersistent* AOwner) : TcxInterfacedPersistent(AOwner) {}
  // Every properties object still pointing at this provider forgets it.
  ~TcxCustomEditDefaultValuesProvider() override;

  bool CanSetEditMode() override { return true; }
  bool DefaultCanModify() override { return true; }
  TAlignment DefaultAlignment() override { return cxEditDefaultHorzAlignment; }
  TcxBlobKind DefaultBlobKind() override { return bkMemo; }
  String DefaultDisplayFormat() override { return {}; }
  String DefaultEditFormat() override { return {}; }
  String DefaultEditMask() override { return {}; }
  bool DefaultIsFloatValue() override { return false; }
  int32_t DefaultMaxLength() override { return 0; }
  double DefaultMaxValue() override { return 0; }
  double DefaultMinValue() override { return 0; }
  int32_t DefaultPrecision() override { return 15; }
  bool DefaultReadOnly() override { return false; }
  bool DefaultRequired() override { return false; }
  TObject* GetInstance() override { return this; }
  bool IsBlob() override { return false; }
  bool IsCurrency() override { return false; }
  bool IsDataAvailable() override { return true; }
  bool IsDataStorage() override { return false; }
  bool IsDisplayFormatDefined(bool) override { return false; }
  bool IsOnGetTextAssigned() override { return false; }
  bool IsOnSetTextAssigned() override { return false; }
  bool IsValidChar(Char) override { return true; }
};

// --- Editor properties ---------------------------------------------------------------------

// The settings of an editor, of a repository item or of an in-place editor. Changes are
// batched with BeginUpdate/EndUpdate and announced through OnPropertiesChanged.
class TcxCustomEditProperties : public TcxInterfacedPersistent {
  QD_CLASS(TcxCustomEditProperties, TcxInterfacedPersistent)

 public:
  explicit TcxCustomEditProperties(TPersistent* AOwner);
  ~TcxCustomEditProperties() override;

  void Assign(TPersistent* Source) override;
  // A new object of the same class for AOwner, assigned from this one.
  virtual TcxCustomEditProperties* Clone(TPersistent* AOwner);
  virtual TcxCustomEditProperties* CreatePreviewProperties() { return Clone(nullptr); }

  void BeginUpdate();
  void EndUpdate(bool AInvokeChanged = true);
  void Changed();
  bool ChangedLocked() const { return FChangedLocked || FUpdateCount > 0; }
  void LockUpdate(bool ALock) { FChangedLocked = ALock; }
  bool IsChanging() const { return FIsChangingCount > 0; }
  // The owner is a component in design state.
  bool IsDesigning() const;
  // Calls DoUpdate when AProperties is of this class or a descendant.
  void Update(TcxCustomEditProperties* AProperties);
  bool CanModify();
  void FillMinMaxValues(double AMax, double AMin);

  // The alignment handed out; a change made through it is copied into the stored one.
  TcxEditAlignment* Alignment();
  void SetAlignment(TcxEditAlignment* Value) { BaseSetAlignment(Value); }
  bool IsAlignmentStored() const {
    return FInnerAlignment->IsHorzStored() || FInnerAlignment->IsVertStored();
  }
  TcxCustomEditPropertiesValues* AssignedValues() const { return FAssignedValues; }
  void SetAssignedValues(TcxCustomEditPropertiesValues* Value) { FAssignedValues->Assign(Value); }

  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { SetValue(FAutoSelect, Value); }
  bool BeepOnError() const { return FBeepOnError; }
  void SetBeepOnError(bool Value) { SetValue(FBeepOnError, Value); }
  TcxEditButtonsViewStyle ButtonsViewStyle() const { return FButtonsViewStyle; }
  void SetButtonsViewStyle(TcxEditButtonsViewStyle Value) { SetValue(FButtonsViewStyle, Value); }
  TShortCut ClearKey() const { return FClearKey; }
  void SetClearKey(TShortCut Value) { SetValue(FClearKey, Value); }
  TShortCut ClickKey() const { return FClickKey; }
  void SetClickKey(TShortCut Value) { SetValue(FClickKey, Value); }
  bool ImmediatePost() const { return FImmediatePost; }
  void SetImmediatePost(bool Value) { SetValue(FImmediatePost, Value); }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value) { SetValue(FTransparent, Value); }
  bool UseLeftAlignmentOnEditing() const { return FUseLeftAlignmentOnEditing; }
  void SetUseLeftAlignmentOnEditing(bool Value) { SetValue(FUseLeftAlignmentOnEditing, Value); }
  bool IsUseLeftAlignmentOnEditingStored() const {
    return FUseLeftAlignmentOnEditing != DefaultUseLeftAlignmentOnEditing();
  }
  bool UseMouseWheel() const { return FUseMouseWheel; }
  void SetUseMouseWheel(bool Value) { SetValue(FUseMouseWheel, Value); }
  bool ValidateOnEnter() const { return FValidateOnEnter; }
  void SetValidateOnEnter(bool Value) { SetValue(FValidateOnEnter, Value); }
  TLeftRight ValidationErrorIconAlignment() const { return FValidationErrorIconAlignment; }
  void SetValidationErrorIconAlignment(TLeftRight Value) { SetValue(FValidationErrorIconAlignment, Value); }
  TcxEditValidationOptions ValidationOptions() const { return FValidationOptions; }
  void SetValidationOptions(TcxEditValidationOptions Value);
  // The working copy used during one validation, which an OnValidate handler may change.
  TcxEditValidationOptions InternalValidationOptions() const { return FInternalValidationOptions; }
  void SetInternalValidationOptions(TcxEditValidationOptions Value) { FInternalValidationOptions = Value; }

  // The own value when assigned, else the provider's default, else 0 (False).
  double MaxValue() const { return GetMaxValue(); }
  void SetMaxValue(double Value);
  double MinValue() const { return GetMinValue(); }
  void SetMinValue(double Value);
  bool ReadOnly() const;
  void SetReadOnly(bool Value);
  bool IsReadOnlyStored() const { return FAssignedValues->ReadOnly(); }

  IcxEditDefaultValuesProvider* IDefaultValuesProvider() const { return FIDefaultValuesProvider; }
  void SetIDefaultValuesProvider(IcxEditDefaultValuesProvider* Value);

  // The custom validation icon (empty: the stock icon of the error kind).
  TdxSmartImage* ErrorIcon();
  void SetErrorIcon(TdxSmartImage* Value);
  // Follows the owner's scale (tied after construction); a change rescales the buttons.
  TdxOwnedScaleFactor* ScaleFactor() { return FScaleFactor.get(); }
  void AfterConstruction() override;

  const TcxEditButtonClickEvent& OnButtonClick() const { return FOnButtonClick; }
  void SetOnButtonClick(const TcxEditButtonClickEvent& Value) { FOnButtonClick = Value; }
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }
  const TcxEditClosePopupEvent& OnClosePopup() const { return FOnClosePopup; }
  void SetOnClosePopup(const TcxEditClosePopupEvent& Value) { FOnClosePopup = Value; }
  const TNotifyEvent& OnEditValueChanged() const { return FOnEditValueChanged; }
  void SetOnEditValueChanged(const TNotifyEvent& Value) { FOnEditValueChanged = Value; }
  const TcxEditValidateEvent& OnValidate() const { return FOnValidate; }
  void SetOnValidate(const TcxEditValidateEvent& Value) { FOnValidate = Value; }
  const TNotifyEvent& OnPropertiesChanged() const { return FOnPropertiesChanged; }
  void SetOnPropertiesChanged(const TNotifyEvent& Value) { FOnPropertiesChanged = Value; }

  // -- Buttons and the editor family's view classes
  TcxCustomEditButtons* Buttons();
  void SetButtons(TcxCustomEditButtons* Value);
  // The image list the glyph buttons draw from (not owned).
  TCustomImageList* Images();
  void SetImages(TCustomImageList* Value);
  virtual TClass GetButtonsClass() const;
  virtual TClass GetViewDataClass() const;
  virtual TClass GetViewInfoClass() const;
  // A view data of GetViewDataClass for these properties, the style and the in-place flag.
  TcxCustomEditViewData* CreateViewData(TcxCustomEditStyle* AStyle, bool AIsInplace,
                                        bool APreviewMode = false);
  // Rescales the buttons.
  virtual void ChangeScale(int32_t M, int32_t D);
  // Lets the buttons' actions update themselves.
  virtual void InitiateActions();

  // Overridable behaviour of an editor family.
  virtual bool CanValidate() { return false; }
  // The editor class these properties make.
  virtual TClass GetContainerClass() const;
  virtual bool CanCompareEditValue() { return false; }
  virtual bool AllowRepositorySharing() { return true; }
  virtual bool SupportsMultiThreading() { return AllowRepositorySharing(); }
  virtual void DefaultValuesProviderDestroyed() { FIDefaultValuesProvider = nullptr; }
  virtual bool HasDisplayValue() { return false; }
  virtual bool InnerEditNeedsTabs() { return false; }
  virtual bool IsEditValueConversionDependOnFocused() { return true; }
  virtual TcxEditDisplayFormatOptions GetDisplayFormatOptions() { return {}; }
  virtual String GetValidateErrorText(TcxEditErrorKind AErrorKind);
  virtual bool GetValueEditorEditValueSource(bool AEditFocused);
  virtual void RefreshNonShareable() {}
  virtual bool CompareDisplayValues(const Variant& AEditValue1, const Variant& AEditValue2);
  virtual void DataChanged() {}
  virtual String GetDisplayText(const Variant& AEditValue, bool AFullText = false, bool AIsInplace = true);
  virtual TcxEditSpecialFeatures GetSpecialFeatures() { return {}; }
  // [esoHotTrack] when there is at least one button.
  virtual TcxEditSupportedOperations GetSupportedOperations();
  virtual bool IsActivationKey(Char AKey) { return false; }
  virtual bool IsEditValueValid(Variant& EditValue, bool AEditFocused) { return true; }
  virtual bool IsResetEditClass() { return false; }
  virtual bool IsValueFormattedByProperties() { return false; }
  virtual bool IsValueFormattedByProvider();
  virtual void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool AEditFocused);
  virtual void RestoreDefaults();
  virtual TcxEditEditValueSource GetEditValueSource(bool AEditFocused) { return evsValue; }
  // Replaces an empty error text by the default one and runs the OnValidate handler
  // (through AValidator when given: an editor runs its own and its repository item's).
  // Does nothing unless CanValidate.
  using TValidateHandler = std::function<void(Variant& ADisplayValue, String& AErrorText, bool& AError)>;
  virtual void ValidateDisplayValue(Variant& ADisplayValue, String& AErrorText, bool& AError,
                                    const TValidateHandler& AValidator = nullptr,
                                    const Variant* ACurrentDisplayValue = nullptr);

 protected:
  virtual void AlignmentChangedHandler(TObject* Sender);
  virtual void BaseSetAlignment(TcxEditAlignment* Value);
  virtual void ChangeHandler(TObject* Sender) { Changed(); }
  virtual bool DefaultUseLeftAlignmentOnEditing() const { return true; }
  virtual void DoAssign(TcxCustomEditProperties* Source);
  virtual void DoChanged();
  virtual void DoUpdate(TcxCustomEditProperties* AProperties) {}
  virtual TAlignment GetDefaultHorzAlignment();
  virtual TcxEditVertAlignment GetDefaultVertAlignment() const { return cxEditDefaultVertAlignment; }
  virtual double GetMaxValue() const;
  virtual double GetMinValue() const;
  // The owner is an editor (its look follows the data source).
  bool IsEditorOwned() const;
  // For constructors of derived classes, which the base constructor cannot reach through
  // virtual calls: the alignments take GetDefaultVertAlignment as their default and value,
  // and AValues (owned from now on) replaces the assigned-values object.
  void InitDefaultVertAlignment();
  void InitAssignedValues(TcxCustomEditPropertiesValues* AValues);

  template <class T>
  void SetValue(T& AField, const T& Value) {
    if (AField != Value) {
      AField = Value;
      Changed();
    }
  }

 private:
  friend class TcxCustomEditPropertiesValues;
  void ScaleFactorChanged(TObject* Sender, int32_t M, int32_t D, bool IsLoading);
  TcxEditAlignment* FAlignment = nullptr;
  TcxEditAlignment* FInnerAlignment = nullptr;
  std::unique_ptr<TdxSmartImage> FErrorIcon;
  std::unique_ptr<TdxOwnedScaleFactor> FScaleFactor;
  TcxCustomEditButtons* FButtons = nullptr;
  // Watch the buttons' image list: its changes are changes of the properties, and it is
  // forgotten when freed.
  std::unique_ptr<TcxFreeNotificator> FFreeNotificator;
  std::unique_ptr<TChangeLink> FImageChangeLink;
  void ImageListChange(TObject* Sender) { Changed(); }
  void ImageListFreeNotification(TComponent* Sender);
  TcxCustomEditPropertiesValues* FAssignedValues = nullptr;
  bool FAutoSelect = true;
  bool FBeepOnError = false;
  TcxEditButtonsViewStyle FButtonsViewStyle = bvsNormal;
  bool FChangedLocked = false;
  bool FChangedOccurred = false;
  TShortCut FClearKey = 0;
  TShortCut FClickKey = 16397;  // Ctrl+Enter
  IcxEditDefaultValuesProvider* FIDefaultValuesProvider = nullptr;
  bool FImmediatePost = false;
  int32_t FIsChangingCount = 0;
  double FMaxValue = 0;
  double FMinValue = 0;
  bool FReadOnly = false;
  bool FTransparent = false;
  int32_t FUpdateCount = 0;
  bool FUseLeftAlignmentOnEditing = true;
  bool FUseMouseWheel = true;
  bool FValidateOnEnter = false;
  TLeftRight FValidationErrorIconAlignment = taLeftJustify;
  TcxEditValidationOptions FValidationOptions{evoRaiseException};
  TcxEditValidationOptions FInternalValidationOptions{evoRaiseException};
  TcxEditButtonClickEvent FOnButtonClick;
  TNotifyEvent FOnChange;
  TcxEditClosePopupEvent FOnClosePopup;
  TNotifyEvent FOnEditValueChanged;
  TcxEditValidateEvent FOnValidate;
  TNotifyEvent FOnPropertiesChanged;
};

// --- Change-events catcher ----------------------------------------------------------------

// What the catcher needs of its editor.
class IcxEditChangeEventsTarget {
 public:
  virtual ~IcxEditChangeEventsTarget() = default;
  virtual bool IsLoadingOrDestroying() const = 0;
  virtual bool HasOnChangeHandler() const = 0;
  virtual bool HasOnEditValueChangedHandler() const = 0;
  virtual void DoOnChange() = 0;
  virtual void DoOnEditValueChanged() = 0;
};

// Holds back an editor's change events while locked; the editor's DoChange and
// DoEditValueChanged set the pending flags instead of firing.
class TcxEditChangeEventsCatcher : public TObject {
  QD_CLASS(TcxEditChangeEventsCatcher, TObject)

 public:
  explicit TcxEditChangeEventsCatcher(IcxEditChangeEventsTarget* AEdit) : FEdit(AEdit) {}
  bool IsLocked() const { return FLockCount > 0; }
  void Lock(bool ALock, bool AInvokeChangedOnUnlock = true);
  void InvokeEditChangedEvents();

  bool OnChangeEvent() const { return FOnChangeEvent; }
  void SetOnChangeEvent(bool Value) { FOnChangeEvent = Value; }
  bool OnEditValueChangedEvent() const { return FOnEditValueChangedEvent; }
  void SetOnEditValueChangedEvent(bool Value) { FOnEditValueChangedEvent = Value; }

 private:
  IcxEditChangeEventsTarget* FEdit;
  int32_t FLockCount = 0;
  bool FOnChangeEvent = false;
  bool FOnEditValueChangedEvent = false;
};

// --- Edit repository -------------------------------------------------------------------------

class TcxEditRepository;
class TcxEditRepositoryItem;

// Told when a repository item goes away or its properties change.
class IcxEditRepositoryItemListener {
 public:
  virtual ~IcxEditRepositoryItemListener() = default;
  virtual void RepositoryItemListenerItemRemoved(TcxEditRepositoryItem* Sender) = 0;
  virtual void RepositoryItemListenerPropertiesChanged(TcxEditRepositoryItem* Sender) = 0;
};

// Named, shared editor properties kept in a repository.
class TcxEditRepositoryItem : public TComponent {
  QD_CLASS(TcxEditRepositoryItem, TComponent)

 public:
  explicit TcxEditRepositoryItem(TComponent* AOwner);
  ~TcxEditRepositoryItem() override;

  // The properties class the item creates (a descendant item overrides it).
  virtual TClass GetEditPropertiesClass() const { return TcxCustomEditProperties::StaticClass(); }
  virtual void AddListener(IcxEditRepositoryItemListener* AListener);
  virtual void RemoveListener(IcxEditRepositoryItemListener* AListener);
  // The part of the class name after "TcxEditRepository", prefixed with the repository's name.
  virtual String GetBaseName() const;
  bool ArePropertiesCompatible(TClass AClass) const;

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

  TcxCustomEditProperties* Properties();
  void SetProperties(TcxCustomEditProperties* Value) { Properties()->Assign(Value); }
  TcxEditRepository* Repository() const { return FRepository; }
  void SetRepository(TcxEditRepository* Value);
  int32_t ListenerCount() const { return static_cast<int32_t>(FListenerList.size()); }

 protected:
  virtual void PropertiesChanged(TObject* Sender);

 private:
  TcxCustomEditProperties* FProperties = nullptr;
  TcxEditRepository* FRepository = nullptr;
  std::vector<IcxEditRepositoryItemListener*> FListenerList;
};

// A component holding repository items.
class TcxEditRepository : public TComponent {
  QD_CLASS(TcxEditRepository, TComponent)

 public:
  explicit TcxEditRepository(TComponent* AOwner) : TComponent(AOwner) {}
  ~TcxEditRepository() override;

  // AItemClass is TcxEditRepositoryItem or a descendant.
  virtual TcxEditRepositoryItem* CreateItem(TClass AItemClass);
  virtual TcxEditRepositoryItem* CreateItemEx(TClass AItemClass, TComponent* AOwner);
  // Frees the items, last first.
  void Clear();
  // Ignores letter case; nullptr when no item has the name.
  TcxEditRepositoryItem* ItemByName(const String& AName) const;
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  TcxEditRepositoryItem* Items(int32_t AIndex) const { return FItems.at(static_cast<size_t>(AIndex)); }
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

 private:
  friend class TcxEditRepositoryItem;
  void AddItem(TcxEditRepositoryItem* AItem);
  void RemoveItem(TcxEditRepositoryItem* AItem);
  std::vector<TcxEditRepositoryItem*> FItems;
};

// --- Editor styles -------------------------------------------------------------------------

enum TcxEditButtonStyle : uint8_t {
  btsDefault,
  bts3D,
  btsFlat,
  btsSimple,
  btsHotFlat,
  btsUltraFlat,
  btsOffice11
};
enum TcxEditButtonTransparency : uint8_t {
  ebtNone,
  ebtInactive,
  ebtAlways,
  ebtHideInactive,
  ebtHideUnselected
};
using TcxEditGradientDirection = TcxDirection;  // dirLeft to dirDown
using TcxEditBorderStyle = TcxContainerBorderStyle;

constexpr TcxContainerStyleValue svButtonStyle = 10;
constexpr TcxContainerStyleValue svButtonTransparency = 11;
constexpr TcxContainerStyleValue svPopupBorderStyle = 12;
constexpr TcxContainerStyleValue svGradientButtons = 13;
constexpr TcxContainerStyleValue svGradient = 14;
constexpr TcxContainerStyleValue svGradientDirection = 15;
constexpr int32_t cxEditStyleValueCount = 16;
extern const char16_t* const cxEditStyleValueNameA[cxEditStyleValueCount - cxContainerStyleValueCount];

// A container style with the values only editors have: the look of the embedded buttons,
// their transparency, gradients and the border of drop-down windows.
class TcxCustomEditStyle : public TcxContainerStyle {
  QD_CLASS(TcxCustomEditStyle, TcxContainerStyle)

 public:
  TcxCustomEditStyle(TPersistent* AOwner, bool ADirectAccessMode, TcxContainerStyle* AParentStyle = nullptr,
                     TcxContainerStateItem AState = csNormal);

  void Assign(TPersistent* Source) override;
  int32_t GetStyleValueCount() override { return cxEditStyleValueCount; }
  bool GetStyleValueName(TcxContainerStyleValue AStyleValue, String& StyleValueName) override;
  bool IsValueAssigned(TcxContainerStyleValue AValue) override;
  // Colour, font and text colour from a view's parameters, as one change.
  void Init(TColor AColor, TFont* AFont, TColor ATextColor);

  TcxEditButtonStyle ButtonStyle();
  void SetButtonStyle(TcxEditButtonStyle Value);
  TcxEditButtonTransparency ButtonTransparency();
  void SetButtonTransparency(TcxEditButtonTransparency Value);
  TcxEditPopupBorderStyle PopupBorderStyle();
  void SetPopupBorderStyle(TcxEditPopupBorderStyle Value);
  bool GradientButtons();
  void SetGradientButtons(bool Value);
  bool Gradient();
  void SetGradient(bool Value);
  TcxEditGradientDirection GradientDirection();
  void SetGradientDirection(TcxEditGradientDirection Value);
  bool PopupCloseButton();
  void SetPopupCloseButton(bool Value);
  // Stored only when assigned and, for an editor's style, published for this state.
  bool IsExtendedValueStored(TcxContainerStyleValue AValue);

 protected:
  virtual TcxEditButtonStyle DefaultButtonStyle();
  virtual TcxEditButtonTransparency DefaultButtonTransparency();
  virtual bool DefaultGradient();
  virtual bool DefaultGradientButtons();
  virtual TcxEditGradientDirection DefaultGradientDirection();
  virtual TcxEditPopupBorderStyle DefaultPopupBorderStyle();
  TcxStyleController* GetDefaultStyleController() override;
  TcxContainerStyleValues InternalGetNotPublishedExtendedStyleValues() override;

 private:
  TcxCustomEditStyle* BaseEditStyle() { return static_cast<TcxCustomEditStyle*>(GetBaseStyle()); }
  // The editor style along the controller chain that assigns the value, or nil.
  TcxCustomEditStyle* AssigningEditStyle(TcxContainerStyleValue AValue);
  template <class T>
  void SetEditValue(T& AField, const T& Value, TcxContainerStyleValue ABit);

  TcxEditButtonStyle FButtonStyle = btsDefault;
  TcxEditButtonTransparency FButtonTransparency = ebtNone;
  TcxEditPopupBorderStyle FPopupBorderStyle = epbsDefault;
  bool FGradientButtons = false;
  bool FGradient = false;
  TcxEditGradientDirection FGradientDirection = dirDown;
  bool FPopupCloseButton = true;
};

class TcxEditStyleController;

class TcxEditStyle : public TcxCustomEditStyle {
  QD_CLASS(TcxEditStyle, TcxCustomEditStyle)
  QD_PUBLISHED(TcxEditStyle)

 public:
  using TcxCustomEditStyle::TcxCustomEditStyle;

 private:
  // Stored-form accessors: the assigned values as bits, the controller as an editor one.
  uint32_t AssignedValueBits() const { return AssignedValues().Bits; }
  void SetAssignedValueBits(uint32_t Value) { SetAssignedValues(TcxContainerStyleValues(Value)); }
  TcxEditStyleController* EditStyleController();
  bool IsLookAndFeelStored() const { return IsBaseStyle(); }
};

// The shared component editors take their unassigned style values from.
class TcxEditStyleController : public TcxStyleController {
  QD_CLASS(TcxEditStyleController, TcxStyleController)
  QD_PUBLISHED(TcxEditStyleController)

 public:
  explicit TcxEditStyleController(TComponent* AOwner);
  TcxEditStyle* Style() const { return static_cast<TcxEditStyle*>(InternalStyle(csNormal)); }
  TcxEditStyle* StyleFocused() const { return static_cast<TcxEditStyle*>(InternalStyle(csActive)); }
  TcxEditStyle* StyleDisabled() const { return static_cast<TcxEditStyle*>(InternalStyle(csDisabled)); }
  TcxEditStyle* StyleHot() const { return static_cast<TcxEditStyle*>(InternalStyle(csHotTrack)); }
  void SetStyle(TcxEditStyle* Value) { Styles()->SetStyle(csNormal, Value); }
  void SetStyleFocused(TcxEditStyle* Value) { Styles()->SetStyle(csActive, Value); }
  void SetStyleDisabled(TcxEditStyle* Value) { Styles()->SetStyle(csDisabled, Value); }
  void SetStyleHot(TcxEditStyle* Value) { Styles()->SetStyle(csHotTrack, Value); }

 protected:
  TcxContainerStyleClass GetStyleClass() override { return &cxCreateContainerStyle<TcxEditStyle>; }
};

// The process-wide controller made at start-up.
TcxEditStyleController* DefaultEditStyleController();

// --- View data, view info and edit buttons -----------------------------------------------------

class TcxCustomEdit;
class TcxCustomEditViewData;
class TcxCustomEditViewInfo;
class TcxEditButtonViewInfo;
class TcxCustomEditButtons;
class IcxCustomInnerEdit;
class TcxControlScrollBar;

enum TcxEditButtonKind : uint8_t { bkEllipsis, bkDown, bkGlyph, bkText };
enum TcxEditButtonState : uint8_t { ebsDisabled, ebsNormal, ebsPressed, ebsSelected };
enum TcxEditErrorType : uint8_t { eetNone, eetError, eetWarning, eetInfo, eetCustom };
enum TcxEditContentOption : uint8_t { ecoShowFocusRectWhenInplace, ecoOffsetButtonContent };
using TcxEditContentOptions = TSet<TcxEditContentOption>;
enum TcxEditPaintOption : uint8_t {
  epoAllowZeroHeight,
  epoAutoHeight,
  epoHasExternalBorder,
  epoShowEndEllipsis,
  epoShowFocusRectWhenInplace
};
using TcxEditPaintOptions = TSet<TcxEditPaintOption>;
enum TcxEditViewInfoState : uint8_t { evsPaintButtons };
using TcxEditViewInfoStates = TSet<TcxEditViewInfoState>;
enum TcxEditBackgroundPaintingStyle : uint8_t { bpsSolid, bpsComboEdit, bpsComboListEdit };
enum TcxEditDrawBackgroundStyle : uint8_t {
  dbsCustom,
  dbsCustomEdit,
  dbsNone,
  dbsSimpleFill,
  dbsSimpleParent,
  dbsThemeParent
};

// Parts answered by GetPart: button visible indexes count from ecpButton.
constexpr int32_t ecpNone = -3;
constexpr int32_t ecpErrorIcon = -2;
constexpr int32_t ecpControl = -1;
constexpr int32_t ecpButton = 0;

// How an editor places its content inside its border.
struct TcxEditContentParams {
  TRect ExternalBorderBounds;
  TRect Offsets;
  TcxEditContentOptions Options;
  TSize SizeCorrection;
};

struct TcxInplaceEditPosition {
  TObject* Item = nullptr;
  int32_t RecordIndex = 0;
};

struct TcxInplaceEditParams {
  bool MultiRowParent = false;
  TcxInplaceEditPosition Position;
};

// Measuring limits; -1 means no limit.
struct TcxEditSizeProperties {
  int32_t Height = -1;
  int32_t MaxLineCount = 0;
  int32_t Width = -1;
};
inline constexpr TcxEditSizeProperties cxDefaultEditSizeProperties{-1, 0, -1};

// The right edge of the bounds a view info is calculated for when an editor is measured.
constexpr int32_t cxEditMeasuringBoundsSize = 32000;
// Vertical room of button content by button style, without native style.
constexpr int32_t cxEditButtonContentVerticalOffset[] = {0, 4, 2, 2, 2, 2, 2};

// What an editor offers the parts of its view that need it back (the fading of buttons).
class IcxEditOwner {
 public:
  virtual ~IcxEditOwner() = default;
  // A view data for the owner's current state; AIsViewDataCreated tells the caller to free it.
  virtual TcxCustomEditViewData* GetViewData(bool& AIsViewDataCreated) = 0;
  virtual void InvalidateRect(const TRect& R, bool AEraseBackground) = 0;
  virtual TcxCustomEditViewInfo* GetEditViewInfo() = 0;
};

// --- Edit buttons

// One embedded button of an editor: an ellipsis, a drop-down arrow, a glyph or a text.
class TcxCustomEditButton : public TCollectionItem {
  QD_CLASS(TcxCustomEditButton, TCollectionItem)

 public:
  explicit TcxCustomEditButton(TCollection* Collection);
  ~TcxCustomEditButton() override;
  void Assign(TPersistent* Source) override;

  virtual void ChangeScale(int32_t M, int32_t D);

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  // The caption without accelerator marks.
  const String& VisibleCaption() const { return FVisibleCaption; }
  TAlignment ContentAlignment() const { return FContentAlignment; }
  void SetContentAlignment(TAlignment Value);
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  TdxSmartGlyph* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TdxSmartGlyph* Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);
  int32_t ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int32_t Value);
  TcxEditButtonKind Kind() const { return FKind; }
  void SetKind(TcxEditButtonKind Value);
  bool LeftAlignment() const { return FLeftAlignment; }
  void SetLeftAlignment(bool Value);
  bool Stretchable() const { return FStretchable; }
  void SetStretchable(bool Value);
  intptr_t Tag() const { return FTag; }
  void SetTag(intptr_t Value) { FTag = Value; }
  bool IsTagStored() const { return FTag != 0; }
  TColor TextColor() const { return FTextColor; }
  void SetTextColor(TColor Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  int32_t Width() const { return FWidth; }
  // Negative widths are ignored.
  void SetWidth(int32_t Value);

  TcxCustomEditButtons* Buttons() const;

 private:
  template <class T>
  void SetButtonValue(T& AField, const T& Value);
  void GlyphChanged(TObject* Sender);

  String FCaption;
  String FVisibleCaption;
  TAlignment FContentAlignment = taCenter;
  bool FDefault = false;
  bool FEnabled = true;
  std::unique_ptr<TdxSmartGlyph> FGlyph;
  String FHint;
  int32_t FImageIndex = -1;
  TcxEditButtonKind FKind = bkDown;
  bool FLeftAlignment = false;
  bool FStretchable = true;
  intptr_t FTag = 0;
  TColor FTextColor = clBtnText;
  bool FVisible = true;
  int32_t FWidth = 0;
};

class TcxEditButton : public TcxCustomEditButton {
  QD_CLASS(TcxEditButton, TcxCustomEditButton)

 public:
  using TcxCustomEditButton::TcxCustomEditButton;
};

// The buttons of an editor's properties; every item change calls OnChange.
class TcxCustomEditButtons : public TCollection {
  QD_CLASS(TcxCustomEditButtons, TCollection)

 public:
  using OwnerType = TPersistent;
  explicit TcxCustomEditButtons(TPersistent* AOwner)
      : TcxCustomEditButtons(AOwner, TcxCustomEditButton::StaticClass()) {}
  TcxCustomEditButtons(TPersistent* AOwner, TClass AButtonClass);

  TPersistent* GetOwner() const override { return FOwner; }
  virtual void ChangeScale(int32_t M, int32_t D);
  virtual void InitiateActions() {}

  TcxCustomEditButton* Add() { return static_cast<TcxCustomEditButton*>(TCollection::Add()); }
  TcxCustomEditButton* Items(int32_t Index) const {
    return static_cast<TcxCustomEditButton*>(TCollection::Items(Index));
  }
  int32_t VisibleCount() const;
  // The image list the glyph buttons draw from (not owned).
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value) { FImages = Value; }

  TNotifyEvent OnChange;

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TPersistent* FOwner;
  TCustomImageList* FImages = nullptr;
};

class TcxEditButtons : public TcxCustomEditButtons {
  QD_CLASS(TcxEditButtons, TcxCustomEditButtons)

 public:
  using OwnerType = TPersistent;
  explicit TcxEditButtons(TPersistent* AOwner) : TcxCustomEditButtons(AOwner, TcxEditButton::StaticClass()) {}
};

// --- Fading of buttons

// The base of the fading parts of an editor.
class TcxCustomEditFadingHelper : public TdxFadingObjectHelper {
  QD_CLASS(TcxCustomEditFadingHelper, TdxFadingObjectHelper)

 public:
  virtual TcxCustomEditViewInfo* GetEditViewInfo() = 0;
  virtual void Invalidate() = 0;

 protected:
  // The editor of the view info, or the view info's owner when that is an edit owner.
  IcxEditOwner* GetEditOwner();
};

// Cross-fades one button between its normal and its hot background.
class TcxEditButtonFadingHelper : public TcxCustomEditFadingHelper {
  QD_CLASS(TcxEditButtonFadingHelper, TcxCustomEditFadingHelper)

 public:
  explicit TcxEditButtonFadingHelper(TcxEditButtonViewInfo* AViewInfo);

  // Starts a fade when the button's state changed since the last call.
  void UpdateState();

  bool CanFade() override;
  void DrawFadeImage() override;
  void GetFadingImages(std::unique_ptr<TcxBitmap>& AFadeOutImage,
                       std::unique_ptr<TcxBitmap>& AFadeInImage) override;
  TcxCustomEditViewInfo* GetEditViewInfo() override;
  void Invalidate() override;

  TcxEditButtonViewInfo* ViewInfo() const { return FViewInfo; }

 protected:
  virtual void DrawButton(TcxCanvas* ACanvas);
  virtual TRect GetButtonRect();
  virtual std::unique_ptr<TcxBitmap> PrepareFadingImage(TcxEditButtonState AState);

 private:
  TcxEditButtonViewInfo* FViewInfo;
  TcxEditButtonState FState = ebsNormal;
};

// --- Button view info

struct TcxEditButtonViewInfoData {
  TObject* ActionLink = nullptr;
  TColor BackgroundColor = clDefault;
  String Caption;
  TAlignment ContentAlignment = taCenter;
  bool Default = false;
  bool Gradient = false;
  String Hint;
  bool IsInplace = false;
  TcxEditButtonKind Kind = bkDown;
  bool LeftAlignment = false;
  bool Leftmost = false;
  bool NativeStyle = false;
  bool Rightmost = false;
  TcxEditButtonState State = ebsNormal;
  TcxEditButtonStyle Style = btsDefault;
  TColor TextColor = clBtnText;
  bool Transparent = false;
  String VisibleCaption;
  bool BackgroundPartiallyTransparent = false;
  bool ComboBoxStyle = false;
  int32_t NativePart = 0;
  int32_t NativeState = 0;
  bool UseSkins = false;
};

// The calculated geometry and state of one visible button.
class TcxEditButtonViewInfo : public TPersistent {
  QD_CLASS(TcxEditButtonViewInfo, TPersistent)

 public:
  TcxEditButtonViewInfo() = default;
  ~TcxEditButtonViewInfo() override;
  void Assign(TPersistent* Source) override;
  // Makes the fading object (after construction, since it is a virtual choice).
  virtual TcxEditButtonFadingHelper* CreateFadingHelper();
  // Empty when style, state, background colour and native state equal the old button's.
  virtual TRect GetUpdateRegion(TcxEditButtonViewInfo* AOldViewInfo);
  // Redraws the button in the control's window when it changed or fades; answers whether.
  virtual bool Repaint(TWinControl* AControl, TcxEditButtonViewInfo* AOldViewInfo,
                       const TPoint& AEditPosition);

  TcxEditButtonFadingHelper* FadingHelper();
  TdxScaleFactor* ScaleFactor() const;
  bool IsFading();

  TRect Bounds;
  TRect VisibleBounds;
  int32_t ButtonIndex = -1;
  int32_t ButtonVisibleIndex = -1;
  TcxEditButtonViewInfoData Data;
  TcxCustomEditViewInfo* EditViewInfo = nullptr;
  TdxSmartGlyph* Glyph = nullptr;
  TCustomImageList* Images = nullptr;
  int32_t ImageIndex = -1;
  bool HasBackground = false;
  bool Stretchable = true;
  int32_t Width = 0;

 private:
  std::unique_ptr<TcxEditButtonFadingHelper> FFadingHelper;
};

// --- Edit view info

// The error type, text and icon of a validation.
class TcxEditValidateInfo : public TObject {
  QD_CLASS(TcxEditValidateInfo, TObject)

 public:
  TcxEditValidateInfo();
  ~TcxEditValidateInfo() override;
  void Assign(TcxEditValidateInfo* Source);
  bool IsError() const { return FErrorType != eetNone; }
  void Reset();

  TcxEditErrorType ErrorType() const { return FErrorType; }
  // The stock icon comes with eetError, eetWarning and eetInfo.
  void SetErrorType(TcxEditErrorType Value);
  const String& ErrorText() const { return FErrorText; }
  void SetErrorText(const String& Value) { FErrorText = Value; }
  TdxSmartGlyph* ErrorIcon() const { return FErrorIcon.get(); }
  void SetErrorIcon(TGraphic* Value);

 private:
  TcxEditErrorType FErrorType = eetNone;
  String FErrorText;
  std::unique_ptr<TdxSmartGlyph> FErrorIcon;
};

using TcxEditCanStartButtonFadingEvent = TMethod<void(TcxCustomEditViewInfo* Sender, bool& AAllow)>;
using TcxEditDrawBackgroundEvent =
    TMethod<void(TcxCustomEditViewInfo* Sender, TcxCanvas* ACanvas, bool& AHandled)>;
using TcxEditDrawButtonEvent = TMethod<void(TcxCustomEditViewInfo* Sender, TcxCanvas* ACanvas,
                                            int32_t AButtonVisibleIndex, bool& AHandled)>;
using TcxEditDrawButtonBackgroundEvent =
    TMethod<void(TcxCustomEditViewInfo* Sender, TcxCanvas* ACanvas, const TRect& ARect,
                 TcxEditButtonViewInfo* AButtonViewInfo, bool& AHandled)>;
using TcxEditDrawButtonBorderEvent =
    TMethod<void(TcxCustomEditViewInfo* Sender, TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButtonViewInfo,
                 TRect& ABackgroundRect, TRect& AContentRect, bool& AHandled)>;
using TcxEditGetButtonContentColorEvent =
    TMethod<void(TcxCustomEditViewInfo* Sender, int32_t AButtonVisibleIndex, TColor& AColor)>;
using TcxEditGetButtonStateEvent = TMethod<void(
    TcxCustomEditViewInfo* Sender, TcxEditButtonViewInfo* AButtonViewInfo, TcxEditButtonState& AState)>;
using TcxEditPaintEvent = TMethod<void(TcxCustomEditViewInfo* Sender, TcxCanvas* ACanvas)>;
using TcxEditPrepareButtonFadingImageEvent =
    TMethod<void(TcxCustomEditViewInfo* Sender, TcxEditButtonViewInfo* AButtonViewInfo, TcxBitmap32*& AImage,
                 bool& AHandled)>;
using TAfterDrawEvent = TMethod<void(TcxCustomEditViewInfo* Sender, TcxCanvas* ACanvas)>;
using TCalculateEditorBoundsEvent = TMethod<void(TcxCustomEditViewInfo* Sender, TRect& ABounds)>;
using TCanDrawEditValueEvent = TMethod<void(TcxCustomEditViewInfo* Sender, bool& ACanDraw)>;

// The calculated geometry and paint state of one editor; it paints the background, border,
// shadow, validation mark and buttons, answers hit tests and hints, and invalidates what
// changed after a recalculation. Descendants draw their content on top.
class TcxCustomEditViewInfo : public TcxContainerViewInfo {
  QD_CLASS(TcxCustomEditViewInfo, TcxContainerViewInfo)

 public:
  TcxCustomEditViewInfo();
  ~TcxCustomEditViewInfo() override;

  void Assign(TObject* Source) override;
  void Offset(int32_t DX, int32_t DY) override;
  void Paint(TcxCanvas* ACanvas) override;
  // Paints a view info calculated at the origin at (Left, Top).
  void PaintEx(TcxCanvas* ACanvas);
  // The region to repaint against an older view info (the caller owns the region).
  virtual HRGN GetUpdateRegion(TcxContainerViewInfo* AOldViewInfo);

  virtual int32_t GetCurrentCursor(const TPoint& P) { return 0; }
  virtual void InplaceMouseDown(const TPoint& P, TShiftState Shift) {}
  virtual TcxEditBackgroundPaintingStyle GetBackgroundPaintingStyle() { return bpsSolid; }
  virtual TClass GetButtonViewInfoClass() { return TcxEditButtonViewInfo::StaticClass(); }
  virtual void GetColorSettingsByPainter(TColor& AFillColor, TColor& ATextColor);
  virtual String GetHintText(int32_t APart);
  virtual int32_t GetPart(const TPoint& P);
  virtual TRect GetPartRect(int32_t APart);
  virtual bool IsRepaintOnStateChangingNeeded() { return true; }
  virtual void DrawEditButton(TcxCanvas* ACanvas, int32_t AButtonVisibleIndex);
  virtual void SetOnDrawBackground(const TcxEditDrawBackgroundEvent& AEvent) { OnDrawBackground = AEvent; }
  virtual void StoreLastState();
  virtual void Draw3DButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton, TRect& R,
                                  TRect& AContentRect, TColor& APenColor, TColor& ABrushColor);
  virtual void DrawFlatButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton, TRect& R,
                                    TRect& AContentRect, TColor& APenColor, TColor& ABrushColor);
  // The face and arrow colours of a hot-flat or flat button in its state.
  static void GetHotFlatButtonColors(const TcxEditButtonViewInfoData& AData, TColor& APenColor,
                                     TColor& ABrushColor);
  virtual void DrawHotFlatButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton, TRect& R,
                                       TRect& AContentRect, TColor& APenColor, TColor& ABrushColor);
  virtual void DrawNativeButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton, TRect& R,
                                      TRect& AContentRect);
  virtual void DrawSimpleButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton, TRect& R,
                                      TRect& AContentRect, TColor& APenColor, TColor& ABrushColor);
  virtual void DrawUltraFlatButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton,
                                         bool AIsOffice11Style, TRect& R, TRect& AContentRect,
                                         TColor& ABrushColor);
  virtual void DrawNativeButtonBackground(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton, const TRect& R);
  virtual void DrawUsualButtonBackground(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton, const TRect& R,
                                         TColor ABrushColor);
  virtual bool CanDrawEditValue();
  virtual void DrawNativeStyleEditBackground(TcxCanvas* ACanvas, bool ADrawBackground,
                                             TColor ABackgroundColor);
  virtual void DrawButton(TcxCanvas* ACanvas, int32_t AButtonVisibleIndex);
  virtual void DrawButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton, TColor& ABrushColor,
                                TColor& APenColor, TRect& AContentRect, TRect& R);
  virtual void DrawButtonBackground(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton, TColor ABrushColor,
                                    const TRect& AContentRect, const TRect& R);
  virtual void DrawButtonContent(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton, bool ANeedOffsetContent,
                                 TColor ABrushColor, TColor APenColor, const TRect& AContentRect);
  virtual bool IsBackgroundPartiallyTransparent();
  virtual bool IsFadingAvailable();
  // Some button is hot.
  virtual bool IsHotTrack();
  // P (relative to Left, Top) lies in some button.
  virtual bool IsHotTrack(const TPoint& P);
  virtual bool NeedShowHint(TcxCanvas* ACanvas, const TPoint& P, int32_t AMaxLineCount, TRect& ATextRect,
                            bool& AIsMultiLine, String& AText, const TRect& AVisibleBounds);
  virtual void PrepareCanvasFont(TcxCanvas* ACanvas) {}
  bool Repaint(TWinControl* AControl, TcxContainerViewInfo* AViewInfo = nullptr);
  virtual bool Repaint(TWinControl* AControl, const TRect& AInnerEditRect, TcxContainerViewInfo* AViewInfo);

  // The common first half of painting an editor: parent background, fade image or
  // background, validation mark and buttons.
  void DrawCustomEdit(TcxCanvas* ACanvas, bool ACanDrawBackground, bool ACanDrawValidationMark);
  void DrawCustomEditValidationMark(TcxCanvas* ACanvas);
  void DrawButtons(TcxCanvas* ACanvas);
  void DrawEditBackground(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AContentRect,
                          bool ADrawContent);
  void DrawBackground(TcxCanvas* ACanvas, const TPoint& APos);
  TcxEditDrawBackgroundStyle GetDrawBackgroundStyle();
  bool IsBackgroundTransparent() {
    return GetDrawBackgroundStyle() != dbsCustomEdit && GetDrawBackgroundStyle() != dbsSimpleFill;
  }
  // FEditorBounds := Bounds, then the OnCalculateEditorBounds handlers.
  void CalculateEditorBounds();
  bool IsCustomDrawButton(int32_t AButtonVisibleIndex) const { return false; }
  void SetButtonCount(int32_t ACount);
  int32_t ButtonCount() const { return static_cast<int32_t>(ButtonsInfo.size()); }
  bool IsTransparent();

  TcxCustomEdit* Edit() const { return FEdit; }
  void SetEdit(TcxCustomEdit* Value) { FEdit = Value; }
  TdxScaleFactor* ScaleFactor() { return &FScaleFactor; }
  const TRect& EditorBounds() const { return FEditorBounds; }
  void SetEditorBounds(const TRect& Value) { FEditorBounds = Value; }
  const TRect& ErrorBounds() const { return FErrorBounds; }
  void SetErrorBounds(const TRect& Value) { FErrorBounds = Value; }
  TcxEditValidateInfo* ErrorData() const { return FErrorData.get(); }
  bool NeedShowErrorIcon() const { return FNeedShowErrorIcon; }
  void SetNeedShowErrorIcon(bool Value) { FNeedShowErrorIcon = Value; }

  TRect BorderExtent;
  TcxEditBorderStyle EditBorderStyle = cbsNone;
  std::vector<std::unique_ptr<TcxEditButtonViewInfo>> ButtonsInfo;
  TcxCustomEditProperties* EditProperties = nullptr;
  intptr_t Data = 0;
  bool Enabled = true;
  bool Focused = false;
  bool HasBackground = false;
  bool HasContentOffsets = false;
  bool HasInnerEdit = false;
  bool HasTextButtons = false;
  bool IsButtonReallyPressed = false;
  bool IsContainerInnerControl = false;
  bool IsDBEditPaintCopyDrawing = false;
  bool IsDesigning = false;
  bool IsInplace = false;
  bool IsSelected = false;
  bool Transparent = false;
  bool UseRightToLeftAlignment = false;
  int32_t HitTestInfo = 0;
  TRect InnerEditRect;
  int32_t Left = 0;
  int32_t Top = 0;
  TcxEditPaintOptions PaintOptions;
  TcxEditPopupBorderStyle PopupBorderStyle = epbsDefault;
  int32_t PressedButton = -1;
  int32_t SelectedButton = -1;
  int32_t LastPressedButton = -1;
  int32_t LastSelectedButton = -1;
  TRect ShadowRect;
  TColor TextColor = clDefault;
  HWND WindowHandle = nullptr;

  TcxEditCanStartButtonFadingEvent OnCanStartButtonFading;
  TcxEditDrawBackgroundEvent OnDrawBackground;
  TcxEditDrawButtonEvent OnDrawButton;
  TcxEditDrawButtonBackgroundEvent OnDrawButtonBackground;
  TcxEditDrawButtonBorderEvent OnDrawButtonBorder;
  TcxEditGetButtonContentColorEvent OnGetButtonContentColor;
  TcxEditGetButtonStateEvent OnGetButtonState;
  TcxEditPaintEvent OnPaint;
  TcxEditPrepareButtonFadingImageEvent OnPrepareButtonFadingImage;
  TdxMulticastMethod<TAfterDrawEvent> OnAfterDrawBackground;
  TdxMulticastMethod<TAfterDrawEvent> OnAfterDrawValue;
  TdxMulticastMethod<TCalculateEditorBoundsEvent> OnCalculateEditorBounds;
  TdxMulticastMethod<TCanDrawEditValueEvent> OnCanDrawEditValue;

 protected:
  void InternalPaint(TcxCanvas* ACanvas) override;
  // The fading helper of the button draws the background of a fade image.
  friend class TcxEditButtonFadingHelper;
  void InternalPrepareEditButtonBackground(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton,
                                           bool AExcludeButtonFromClip);

 private:
  TcxCustomEdit* FEdit = nullptr;
  TdxScaleFactor FScaleFactor;
  TcxEditViewInfoStates FState;
  TRect FEditorBounds;
  TRect FErrorBounds;
  std::unique_ptr<TcxEditValidateInfo> FErrorData;
  bool FNeedShowErrorIcon = false;
};

// --- Edit view data

using TcxEditGetDefaultButtonWidthEvent =
    TMethod<void(TcxCustomEditViewData* Sender, int32_t AIndex, int32_t& ADefaultWidth)>;
using TcxEditGetDisplayTextEvent = TMethod<void(TcxCustomEditViewData* Sender, String& AText)>;

// The short-lived calculator that turns an editor's properties, active style and state into
// a view info, and measures editors. Every decision reads its own fields, so owners that
// draw without a control fill the same fields.
class TcxCustomEditViewData : public TPersistent {
  QD_CLASS(TcxCustomEditViewData, TPersistent)

 public:
  using OwnerType = TcxCustomEditProperties;
  explicit TcxCustomEditViewData(TcxCustomEditProperties* AProperties);
  ~TcxCustomEditViewData() override;
  // The second half of creation: style and in-place flag, then the cached values.
  virtual void Setup(TcxCustomEditStyle* AStyle, bool AIsInplace);

  virtual void CalculateButtonNativeInfo(TcxEditButtonViewInfo* AButtonViewInfo);
  virtual void CalculateButtonNativePartInfo(HTHEME ATheme, TcxEditButtonViewInfo* AButtonViewInfo);
  virtual HTHEME GetButtonNativeTheme(TcxEditButtonViewInfo* AButtonViewInfo);
  virtual TcxEditPaintOptions CalculatePaintOptions();
  virtual bool CanPressButton(TcxCustomEditViewInfo* AViewInfo, int32_t AButtonVisibleIndex) { return true; }
  virtual TcxContainerState GetContainerState(const TRect& ABounds, const TPoint& P, TcxMouseButton Button,
                                              TShiftState Shift, bool AIsMouseEvent);
  virtual TRect GetEditContentDefaultOffsets();
  virtual int32_t GetEditNativeState(TcxCustomEditViewInfo* AViewInfo);
  virtual void InitCacheData();
  virtual void InitEditContentParams(TcxEditContentParams& AParams);
  virtual void Initialize();
  virtual void InternalEditValueToDisplayText(const Variant& AEditValue, String& AText) { AText = String(); }
  virtual TSize InternalGetEditConstantPartSize(TcxCanvas* ACanvas, bool AIsInplace,
                                                const TcxEditSizeProperties& AEditSizeProperties,
                                                TSize& AMinContentSize, TcxCustomEditViewInfo* AViewInfo);
  virtual TSize InternalGetEditContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                                           const TcxEditSizeProperties& AEditSizeProperties) {
    return TSize{};
  }
  virtual bool IsButtonPressed(TcxCustomEditViewInfo* AViewInfo, int32_t AButtonVisibleIndex) {
    return false;
  }
  virtual void Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, TcxMouseButton Button,
                         TShiftState Shift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent);
  virtual void CalculateButtonBounds(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo,
                                     TRect& AButtonsRect, int32_t AButtonVisibleIndex);
  virtual void CalculateButtonsViewInfo(TcxCanvas* ACanvas, TRect& AEditBounds, const TPoint& P,
                                        TcxMouseButton Button, TShiftState Shift,
                                        TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent);
  virtual void CalculateButtonViewInfo(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo,
                                       TRect& AButtonsRect, int32_t AButtonVisibleIndex);
  virtual void DoCalculateButtonViewInfos(TcxCanvas* ACanvas, TRect& AButtonsRect,
                                          TcxCustomEditViewInfo* AViewInfo);
  virtual void CheckButtonsOnly(TcxCustomEditViewInfo* AViewInfo, int32_t APrevButtonsWidth,
                                int32_t AButtonsWidth);
  virtual void CheckStartButtonsFading(TcxCustomEditViewInfo* AViewInfo);
  virtual void DoRightToLeftConversion(TcxCustomEditViewInfo* AViewInfo, const TRect& ABounds) {}
  virtual void EditValueToDrawValue(const Variant& AEditValue, TcxCustomEditViewInfo* AViewInfo) {}
  virtual void InitializeButtonInfo(TcxCustomEditViewInfo* AViewInfo, int32_t AButtonVisibleIndex);
  virtual TColor GetBorderColor();
  virtual TColor GetBorderColorByPainter(bool AIsHighlight);
  virtual TRect GetBorderExtent();
  virtual TRect GetBorderExtentByEdges(int32_t ABorderWidth);
  virtual TRect GetBorderExtentByPainter();
  virtual TcxEditBorderStyle GetBorderStyle();
  virtual TRect GetButtonsExtent(TcxCanvas* ACanvas);
  virtual TRect GetClientExtent(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo);
  virtual TSize GetEditConstantPartSize(TcxCanvas* ACanvas, const TcxEditSizeProperties& AEditSizeProperties,
                                        TSize& AMinContentSize, TcxCustomEditViewInfo* AViewInfo = nullptr);
  virtual TSize GetEditContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                                   const TcxEditSizeProperties& AEditSizeProperties,
                                   TcxEditValidateInfo* AErrorData = nullptr);
  virtual TSize GetEditingContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                                      const TcxEditSizeProperties& AEditSizeProperties) {
    return GetEditContentSize(ACanvas, AEditValue, AEditSizeProperties);
  }
  virtual TSize GetEditContentSizeCorrection();
  virtual bool HasShadow();
  virtual bool IgnoreButtonWhileStretching(int32_t AButtonVisibleIndex) { return false; }
  virtual bool IsButtonLeftAligned(TcxCustomEditViewInfo* AViewInfo, int32_t AButtonVisibleIndex);
  static bool IsNativeStyle(TcxLookAndFeel* ALookAndFeel);

  // Calculates at the origin: the view info's Left and Top keep the bounds' corner.
  void CalculateEx(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, TcxMouseButton Button,
                   TShiftState Shift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent);
  TSize GetEditSize(TcxCanvas* ACanvas, const Variant& AEditValue, TcxEditSizeProperties AEditSizeProperties,
                    TcxCustomEditViewInfo* AViewInfo = nullptr);
  TSize GetEditingSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                       const TcxEditSizeProperties& AEditSizeProperties,
                       TcxCustomEditViewInfo* AViewInfo = nullptr);
  void EditValueToDisplayText(const Variant& AEditValue, String& AText);
  TcxEditButtonStyle GetButtonsStyle();
  int32_t GetCaptureButtonVisibleIndex();
  int32_t GetErrorIconWidth(TcxEditValidateInfo* AErrorData);
  void GetColorSettings(TcxCustomEditViewInfo* AViewInfo, TColor& AFillColor, TColor& ATextColor);
  bool NeedShowErrorIcon(TcxCustomEditViewInfo* AViewInfo);
  void CheckSizeConstraints(TSize& AEditSize);
  bool InternalFocused();
  void DoGetButtonState(TcxEditButtonViewInfo* AButtonViewInfo, TcxEditButtonState& AState);
  int32_t DoGetDefaultButtonWidth(int32_t AIndex);

  TcxCustomEditProperties* Properties() const { return FProperties; }
  TcxCustomEditStyle* Style() const { return FStyle; }
  void SetStyle(TcxCustomEditStyle* Value) { FStyle = Value; }
  bool IsInplace() const { return FIsInplace; }
  TcxCustomEdit* Edit() const { return FEdit; }
  void SetEdit(TcxCustomEdit* Value) { FEdit = Value; }
  TdxScaleFactor* ScaleFactor() { return &FScaleFactor; }
  TObject* DataObject() const { return FData; }
  void SetDataObject(TObject* Value) { FData = Value; }

  bool ButtonsOnlyStyle = false;
  int32_t ButtonVisibleCount = 0;
  TcxContainerState ContainerState;
  TRect ContentOffset;
  TcxEditContentParams EditContentParams;
  bool Enabled = true;
  bool Focused = false;
  bool IsDesigning = false;
  bool IsSelected = false;
  bool Selected = false;
  bool NativeStyle = false;
  bool PreviewMode = false;
  bool IsValueSource = false;
  bool IsTouchScrollUIMode = false;
  bool SupportsTouchMode = false;
  TAlignment HorzAlignment = taLeftJustify;
  TcxEditVertAlignment VertAlignment = taTopJustify;
  TcxControlScrollBar* HScrollBar = nullptr;
  TcxControlScrollBar* VScrollBar = nullptr;
  IcxCustomInnerEdit* InnerEdit = nullptr;
  TcxInplaceEditParams InplaceEditParams;
  int32_t MaxLineCount = 0;
  TcxEditPaintOptions PaintOptions;
  int32_t SelStart = 0;
  int32_t SelLength = 0;
  TColor SelTextColor = clDefault;
  TColor SelBackgroundColor = clDefault;
  bool UseRightToLeftAlignment = false;
  bool UseRightToLeftReading = false;
  bool UseRightToLeftScrollBar = false;
  HWND WindowHandle = nullptr;
  TcxEditGetDefaultButtonWidthEvent OnGetDefaultButtonWidth;
  TcxEditGetDisplayTextEvent OnGetDisplayText;

 protected:
  void CalculateViewInfo(TcxCustomEditViewInfo* AViewInfo);
  void CalculateContainerState(const TRect& ABounds, const TPoint& P, TcxMouseButton Button,
                               TShiftState Shift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent);
  void CalculateButtonStates(TcxCustomEditViewInfo* AViewInfo, const TPoint& P, TcxMouseButton Button,
                             TShiftState Shift, bool AIsMouseEvent, int32_t APrevPressedButton);
  void CorrectButtonBounds(TcxCustomEditViewInfo* AViewInfo);
  // The button item of a visible index.
  TcxCustomEditButton* VisibleButton(int32_t AButtonVisibleIndex) const;

  int32_t FLeftSideLeftmostButtonIndex = -1;
  int32_t FLeftSideRightmostButtonIndex = -1;
  int32_t FRightSideLeftmostButtonIndex = -1;
  int32_t FRightSideRightmostButtonIndex = -1;
  TLeftRight FValidationErrorIconAlignment = taLeftJustify;

 private:
  TcxCustomEditProperties* FProperties;
  TcxCustomEditStyle* FStyle = nullptr;
  bool FIsInplace = false;
  TcxCustomEdit* FEdit = nullptr;
  TdxScaleFactor FScaleFactor;
  TObject* FData = nullptr;
};

// --- Unit drawing functions of the editors

// The width of a button for its style, content and fixed width.
int32_t CalculateEditDefaultButtonWidth(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButtonViewInfo);
TSize GetArrowSize(const TSize& AContentSize, TcxArrowDirection ADirection);
void DrawArrow(TcxCanvas* ACanvas, const TSize& AArrowSize, const TRect& AContentRect, TColor AColor,
               bool AOffsetContent, bool AIsDoubleArrow, TcxArrowDirection ADirection);
// One-pixel lines along the sides of R (left, right, top, bottom), each narrowing R.
void DrawButtonBorder(TcxCanvas* ACanvas, TRect& R, TcxBorders ABorders, TColor AColor);
void DrawComplexFrameEx(TcxCanvas* ACanvas, TRect& R, TColor ALeftTopColor, TColor ARightBottomColor);
void FrameRectEx(TcxCanvas* ACanvas, TRect& R, TColor AColor);
void cxEditFillRect(TcxCanvas* ACanvas, const TRect& R, TColor AColor);
void cxEditFillRect(HDC ADC, const TRect& R, HBRUSH ABrush);
HBRUSH GetSolidBrush(TColor AColor);
void DrawCustomEditBackground(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, bool ADrawBackground);
int32_t GetEditButtonsContentVerticalOffset(TcxCanvas* ACanvas, TcxEditButtonStyle AButtonsStyle,
                                            bool ANativeStyle);
int32_t GetNativeInnerTextEditContentHeightCorrection(TcxCustomEditProperties* AProperties, bool AIsInplace);
bool IsShadowDrawingNeeded(TcxCustomEditViewData* AViewData);
TColor GetEditBorderHighlightColor(bool AIsOffice11Style);
TColor GetEditButtonHighlightColor(bool AIsPressed, bool AIsOffice11Style);
// Selects AFont (rotated by AAngle degrees when TrueType); answers whether it is TrueType.
bool AdjustCanvasFont(TcxCanvas* ACanvas, TFont* AFont, int32_t AAngle);
bool IsVarEmpty(const Variant& V);
bool cxIsDigitChar(Char C);

constexpr TcxEditBtnKind EditBtnKindToEditBtnPainterKind[] = {cxbkEllipsisBtn, cxbkComboBtn, cxbkEditorBtn,
                                                              cxbkEditorBtn};
constexpr TcxButtonState EditBtnStateToButtonState[] = {cxbsDisabled, cxbsNormal, cxbsPressed, cxbsHot};
constexpr TcxButtonState EditButtonStateToButtonState[] = {cxbsDisabled, cxbsNormal, cxbsPressed, cxbsHot};

// --- The base editor -------------------------------------------------------------------------

// Raised by a failed validation that asks for an exception.
class EcxEditValidationError : public EcxEditError {
  QD_CLASS(EcxEditValidationError, EcxEditError)

 public:
  using EcxEditError::EcxEditError;
};

class TcxCustomEdit;
class TcxTimer;
class TcxWindowProcLinkedObject;
using TcxEditEditingEvent = TMethod<void(TObject* Sender, bool& CanEdit)>;

struct TcxEditModifiedState {
  bool Modified;
  bool ModifiedAfterEnter;
};

// Per-activation data of an in-place editor. Made for an editor, it lets the editor
// reinitialise it when it is cleared; the editor's death is noticed through FreeNotify.
class TcxCustomEditData : public TObject {
  QD_CLASS(TcxCustomEditData, TObject)

 public:
  explicit TcxCustomEditData(TcxCustomEdit* AEdit = nullptr);
  ~TcxCustomEditData() override;
  void Clear();
  bool Cleared() const { return FCleared; }
  TcxCustomEdit* Edit() const { return FEdit; }
  // The editor went away.
  void EditDestroyed() { FEdit = nullptr; }

 private:
  friend class TcxCustomEdit;
  TcxCustomEdit* FEdit;
  bool FCleared = false;
};

// The value store of a stand-alone editor and its default-values provider.
class TcxEditDataBinding : public TPersistent {
  QD_CLASS(TcxEditDataBinding, TPersistent)

 public:
  explicit TcxEditDataBinding(TcxCustomEdit* AEdit);
  ~TcxEditDataBinding() override;
  TPersistent* GetOwner() const override;

  virtual bool CanCheckEditorValue();
  virtual bool CanModify() { return IsDataAvailable(); }
  virtual bool CanPostEditorValue() { return Modified(); }
  virtual void DefaultValuesChanged();
  virtual bool Editing();
  virtual Variant StoredValue();
  virtual void SetStoredValue(const Variant&) {}
  virtual bool IsDataAvailable() { return FIDefaultValuesProvider->IsDataAvailable(); }
  virtual bool IsInnerControlHaveToBeReadOnly() { return !IsDataAvailable(); }
  virtual bool IsNull() { return false; }
  virtual bool Modified();
  virtual void Reset();
  virtual bool SetEditMode();
  virtual void SetModified();
  virtual void UpdateDisplayValue();
  TcxCustomEditDefaultValuesProvider* IDefaultValuesProvider() const { return FIDefaultValuesProvider; }

 protected:
  TcxCustomEdit* FEdit;
  TcxCustomEditDefaultValuesProvider* FIDefaultValuesProvider;
};

// The inner control of an editor as the editor sees it (a system edit, for example).
class IcxCustomInnerEdit {
 public:
  virtual ~IcxCustomInnerEdit() = default;
  virtual TWinControl* GetControl() = 0;
  virtual TcxContainer* GetControlContainer() = 0;
  // The control's own window procedure, bypassing the library's handling.
  virtual LRESULT CallDefWndProc(UINT AMsg, WPARAM WParam, LPARAM LParam) = 0;
  virtual bool CanProcessClipboardMessages() = 0;
  virtual Variant GetEditValue() = 0;
  virtual TNotifyEvent GetOnChange() = 0;
  virtual void SetOnChange(const TNotifyEvent& Value) = 0;
  virtual bool GetReadOnly() = 0;
  virtual void SetReadOnly(bool Value) = 0;
  virtual void LockBounds(bool ALock) = 0;
  virtual void SafelySetFocus() = 0;
  virtual void SetEditValue(const Variant& Value) = 0;
  virtual void SetParent(TWinControl* Value) = 0;
};

// Offered by an inner control that keeps its IcxCustomInnerEdit in a separate helper.
class IcxInnerEditHelper {
 public:
  virtual ~IcxInnerEditHelper() = default;
  virtual IcxCustomInnerEdit* GetHelper() = 0;
};

// Between the container and the editors: mouse tracking reported for the inner control is
// reported for the editor itself.
class TcxCustomEditContainer : public TcxContainer {
  QD_CLASS(TcxCustomEditContainer, TcxContainer)

 public:
  using TcxContainer::TcxContainer;
  // The editor or one of its child windows holds the mouse capture.
  virtual bool IsCaptureMouse();
  // P (in the editor's client coordinates) lies within the editor.
  virtual bool PtInCaller(const TPoint& P);
  // Every message of the inner control passes here before the control's own handling;
  // True: the message is handled and goes no further.
  bool InnerControlDefaultHandler(TMessage& Message);
  // A context-menu key from the inner control: True when the menus claim it.
  virtual bool InnerControlMenuHandler(TMessage& Message);

 protected:
  virtual bool DoInnerControlDefaultHandler(TMessage& Message) { return false; }
  void MouseEnter(TControl* AControl) override;
  void MouseLeave(TControl* AControl) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void WndProc(TMessage& Message) override;
};

// The control every editor derives from: an edit value, its properties (own or a repository
// item's), the editing state machine, validation and posting, in-place activation, the
// view-info refresh and automatic sizing around an anchor.
class TcxCustomEdit : public TcxCustomEditContainer,
                      public IcxEditChangeEventsTarget,
                      public IcxEditRepositoryItemListener,
                      public IcxEditOwner {
  QD_CLASS(TcxCustomEdit, TcxCustomEditContainer)
  QD_PUBLISHED(TcxCustomEdit)

 public:
  explicit TcxCustomEdit(TComponent* AOwner) : TcxCustomEdit(AOwner, false) {}
  TcxCustomEdit(TComponent* AOwner, bool AIsInplace)
      : TcxCustomEdit(AOwner, AIsInplace, &cxCreateContainerStyle<TcxEditStyle>) {}
  ~TcxCustomEdit() override;
  // The parts of the creation that ask the editor family (its properties, its inner edit);
  // run at the latest when the editor gets its first parent.
  void AfterConstruction() override;
  // Creates an editor of AClass (TcxCustomEdit or a descendant) for in-place use.
  static TcxCustomEdit* CreateInplace(TClass AClass, TComponent* AOwner);

  // The properties class an editor family uses.
  virtual TClass GetPropertiesClass() const { return TcxCustomEditProperties::StaticClass(); }

  // -- Value
  Variant EditValue() { return GetEditValue(); }
  void SetEditValue(const Variant& Value);
  void SetInternalEditValue(const Variant& Value);
  // As if typed: the editing request is asked and ModifiedAfterEnter set.
  void SetValidatableEditValue(const Variant& AEditValue);
  virtual Variant GetDisplayValue() { return Variant(GetDisplayText()); }
  virtual String GetDisplayText() { return {}; }
  Variant GetEditingValue();
  void Clear() { SetEditValue(GetClearValue()); }
  bool IsEditValueStored() { return !VarIsNull(FEditValue); }

  // -- Properties
  TcxCustomEditProperties* Properties();
  void SetProperties(TcxCustomEditProperties* Value) { Properties()->Assign(Value); }
  TcxCustomEditProperties* ActiveProperties();
  TcxEditRepositoryItem* RepositoryItem() const { return FRepositoryItem; }
  void SetRepositoryItem(TcxEditRepositoryItem* Value);
  bool IsRepositoryItemAcceptable(TcxEditRepositoryItem* ARepositoryItem);
  TcxEditDataBinding* DataBinding() const { return FDataBinding; }
  TcxEditStyle* Style() const { return static_cast<TcxEditStyle*>(TcxContainer::Style()); }
  TcxEditStyle* StyleFocused() const { return static_cast<TcxEditStyle*>(TcxContainer::StyleFocused()); }
  TcxEditStyle* StyleDisabled() const { return static_cast<TcxEditStyle*>(TcxContainer::StyleDisabled()); }
  TcxEditStyle* StyleHot() const { return static_cast<TcxEditStyle*>(TcxContainer::StyleHot()); }
  virtual void PropertiesChanged(TObject* Sender);
  IcxCustomInnerEdit* InnerEdit() const { return FInnerEdit; }

  // -- State
  // Modified() of the base control tells the designer; the editor's flag is read here.
  bool GetModified() const { return FModified; }
  void SetModified(bool Value);
  bool ModifiedAfterEnter() const { return FModifiedAfterEnter; }
  void SetModifiedAfterEnter(bool Value);
  void SetModifiedAfterEnterValue(bool Value) { FModifiedAfterEnter = Value; }
  bool IsEditValidated() const { return FIsEditValidated; }
  bool IsEditValidating() const { return FIsEditValidating; }
  bool ValidationError() const { return FValidationError; }
  const String& ValidationErrorText() const { return FValidationErrorText; }
  bool IsInplace() override { return FIsInplace; }
  bool IsPosting() const { return FIsPosting; }
  bool IsHiding() const { return FIsHiding; }
  // The editing request (OnEditing, the binding's edit mode) is running.
  bool EditModeSetting() const { return FEditModeSetting; }
  // False only when the display conversion depends on focus and the editor is unfocused.
  bool InternalFocused();
  // Focused, or the form's active control is the editor or its inner control.
  virtual bool IsActiveControl();

  // -- Locks and user actions
  void LockChangeEvents(bool ALock, bool AInvokeChangedOnUnlock = true);
  bool AreChangeEventsLocked() const { return FChangeEventsCatcher->IsLocked(); }
  TcxEditChangeEventsCatcher* ChangeEventsCatcher() const { return FChangeEventsCatcher; }
  void LockClick(bool ALock);
  void LockEditValueChanging(bool ALock);
  void BeginUserAction() { ++FUserActionCount; }
  void EndUserAction();
  void DisableUserAction() { ++FUserActionDisabledCount; }
  void EnableUserAction();
  bool IsUserAction() const { return FUserActionCount > 0 && FUserActionDisabledCount == 0; }
  bool IsUserActionDisabled() const { return FUserActionDisabledCount > 0; }
  void DisableValidate() { ++FLockValidate; }
  void EnableValidate() { --FLockValidate; }

  // -- Editing, validation, posting
  bool DoEditing();
  virtual bool CanModify();
  virtual bool CanPostEditValue();
  // Forced validation: with evoRaiseException alone when ARaiseExceptionOnError, else none.
  bool ValidateEdit(bool ARaiseExceptionOnError);
  bool ValidateEdit();
  void PostEditValue();
  void Reset();
  // Back to the value saved at focus entry when modified since (the binding's Reset).
  virtual void ResetEditValue();
  void DoClosePopup(TcxEditCloseUpReason AReason);
  void DoOnValidate(Variant& ADisplayValue, String& AErrorText, bool& AError);
  // Focus entry and exit processing.
  virtual void DoShowEdit();
  virtual void DoHideEdit(bool AExit);
  // Esc: restores the value saved at focus entry when modified since.
  bool ResetByEscape();
  // The clear key: the clear value, posted at once with ImmediatePost.
  void ClearByKey();
  // Enter with ValidateOnEnter.
  virtual void DoValidateOnEnter();
  virtual bool RealReadOnly();

  // -- Clipboard (nothing in the base; text editors do the work)
  virtual void CopyToClipboard() {}
  virtual void CutToClipboard() {}
  virtual void PasteFromClipboard() {}
  virtual void SelectAll() {}

  // -- Buttons
  // The first visible button whose data says Default, else -1.
  int32_t GetDefaultButtonVisibleIndex();
  // The first button view info whose bounds hold P, else -1.
  int32_t ButtonVisibleIndexAt(const TPoint& P);
  // The button at the visible index is usable (not disabled).
  bool IsButtonEnabled(int32_t AButtonVisibleIndex);
  TcxCustomEditButton* VisibleButton(int32_t AButtonVisibleIndex);
  bool IsDefaultButtonKey(TShortCut AShortCut);
  bool IsSpecialKey(WORD Key, TShiftState Shift);
  // Clicks the first enabled button whose caption has AKey as its accelerator.
  bool CheckButtonShortCuts(Char AKey);

  // -- In-place activation
  void Activate(TcxCustomEditData*& AEditData, bool ANeedSetFocus = true);
  void ActivateByKey(Char Key, TcxCustomEditData*& AEditData);
  // X and Y in the parent's client coordinates.
  void ActivateByMouse(TShiftState Shift, int32_t X, int32_t Y, TcxCustomEditData*& AEditData);
  bool Deactivate();
  TcxCustomEditData* EditData() const { return FEditData; }
  TcxTimer* DblClickTimer() const { return FDblClickTimer; }
  bool NeedFocusOnClick() const { return FNeedFocusOnClick; }
  void SetNeedFocusOnClick(bool Value) { FNeedFocusOnClick = Value; }

  // -- Size and anchors
  bool AutoSize() const { return FAutoWidth || FAutoHeight; }
  void SetEditAutoSize(bool Value);
  bool IsAutoWidth();
  bool IsAutoHeight();
  virtual void CalculateAnchors();
  int32_t AnchorX() const { return FAnchorX; }
  int32_t AnchorY() const { return FAnchorY; }
  bool CanResize(int& NewWidth, int& NewHeight) override;
  void DefineProperties(TFiler* Filer) override;
  void CheckHandle();

  // -- Spell checker
  virtual bool SupportsSpelling() { return false; }
  void SpellCheckerSetIsBarControl(bool Value) { FIsBarControl = Value; }
  bool IsBarControl() const { return FIsBarControl; }
  virtual void SpellCheckerSetValue(const Variant& Value) { InternalSetEditValue(Value, false); }

  // -- Events
  TcxEditEditingEvent OnEditing;
  TNotifyEvent OnPostEditValue;
  TKeyEvent OnAfterKeyDown;

  // IcxEditChangeEventsTarget
  bool IsLoadingOrDestroying() const override;
  bool HasOnChangeHandler() const override;
  bool HasOnEditValueChangedHandler() const override;
  void DoOnChange() override;
  void DoOnEditValueChanged() override;
  // IcxEditRepositoryItemListener
  void RepositoryItemListenerItemRemoved(TcxEditRepositoryItem* Sender) override;
  void RepositoryItemListenerPropertiesChanged(TcxEditRepositoryItem* Sender) override;

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;
  void SetParent(TWinControl* AParent) override;
  void Click() override;
  void DblClick() override;

  // -- View data and view info
  // The editor's view info, of the active properties' view-info class.
  TcxCustomEditViewInfo* ViewInfo();
  virtual TcxCustomEditViewData* CreateViewData();
  // Copies the editor's state into a view data.
  virtual void InitializeViewData(TcxCustomEditViewData* AViewData);
  virtual void CalculateViewInfo(const TPoint& P, TcxMouseButton Button, TShiftState Shift,
                                 bool AIsMouseEvent);
  // At the cursor position, without a button, with the keyboard's shift state.
  void CalculateViewInfo(bool AIsMouseEvent);
  // The device context the buttons are drawn on elsewhere (never in the base editor).
  virtual bool IsButtonDC(HDC ADC) { return false; }
  virtual bool IsNativeBackground() { return false; }
  // Not in-place and Transparent.
  virtual bool IsTransparent() { return !IsInplace() && Transparent(); }
  // Whether Tab reaches the editor instead of moving the focus.
  virtual bool TabsNeeded() { return IsInplace(); }
  // The visible index of the button pressed while the mouse is captured, -1 for none.
  int32_t CaptureButtonVisibleIndex() const { return FCaptureButtonVisibleIndex; }
  bool SupportsTouchMode() const { return FSupportsTouchMode; }
  // IcxEditOwner
  TcxCustomEditViewData* GetViewData(bool& AIsViewDataCreated) override;
  void InvalidateRect(const TRect& R, bool AEraseBackground) override;
  TcxCustomEditViewInfo* GetEditViewInfo() override { return ViewInfo(); }

  TcxEditContentParams ContentParams;
  TcxInplaceEditParams InplaceParams;

  bool FIsInplaceInitializing = false;

 protected:
  // For an editor family whose styles are of a class of its own.
  TcxCustomEdit(TComponent* AOwner, bool AIsInplace, TcxContainerStyleClass AStyleClass);

  // -- Overridable behaviour of an editor family
  virtual TClass GetEditDataClass() { return nullptr; }
  virtual void DoChange();
  virtual void DoEditValueChanged();
  virtual Variant GetClearValue() { return Null(); }
  virtual Variant GetEditValue() { return FEditValue; }
  virtual bool InternalDoEditing() { return true; }
  virtual Variant InternalGetEditingValue() { return FEditValue; }
  virtual Variant InternalGetValueToValidate() { return Variant(VarToStr(FEditValue)); }
  virtual void InternalSetEditValue(const Variant& Value, bool AValidateEditValue);
  virtual void InternalStoreEditValue(const Variant& Value) { FEditValue = Value; }
  virtual void InternalValidateDisplayValue(const Variant& ADisplayValue);
  virtual void SetInternalDisplayValue(const Variant&) {}
  virtual void SynchronizeDisplayValue() {}
  virtual void SynchronizeEditValue() {}
  virtual void UpdateDrawValue() {}
  virtual bool IsEditClass() { return false; }
  // The text view data asks whether the inner edit draws the text (IsEditClass).
  friend class TcxCustomTextEditViewData;
  virtual bool IsResetEditClass();
  virtual void InitializeEditData() {}
  virtual bool CanShowValidationErrorOnPostEditValue() { return !IsInplace(); }
  virtual void DoValidateDisplayValue(Variant& ADisplayValue, String& AErrorText, bool& AError);
  virtual void HandleValidationError(const String& AErrorText, TcxEditValidationOptions AValidationOptions,
                                     bool ACanAbortExecution);
  virtual void DoPostEditValue();
  virtual void DoSetFocusWhenActivate();
  virtual bool UpdateContentOnFocusChanging() { return true; }
  virtual void DoFocusChanged();

  // Inner edit
  virtual TClass GetInnerEditClass() { return nullptr; }
  virtual void CreateInnerEdit();
  virtual void InitializeInnerEdit();
  virtual void AdjustInnerEditPosition();
  // Where the inner control goes (the view info's inner-edit rectangle).
  virtual TRect InnerEditRect();
  void LockInnerEditRepainting();
  void UnlockInnerEditRepainting();
  void LockedInnerEditWindowProc(TMessage& Message);
  virtual void ChangeHandler(TObject* Sender);
  virtual void EditingChanged() { UpdateInnerEditReadOnly(); }
  void UpdateInnerEditReadOnly();
  // A properties change is held back: destroying, or an inner edit class without its edit yet.
  bool PropertiesChangeLocked();

  // Keys
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  virtual void DoEditKeyDown(WORD& Key, TShiftState Shift);
  virtual void DoEditKeyPress(Char& Key);
  virtual void DoEditKeyUp(WORD& Key, TShiftState Shift) {}
  virtual void DoEditProcessTab(TShiftState Shift) {}
  void DoAfterKeyDown(WORD& Key, TShiftState Shift);
  virtual bool ValidateKeyDown(WORD& Key, TShiftState Shift);
  virtual bool ValidateKeyPress(Char& Key);
  virtual bool IsValidChar(Char AChar);
  virtual bool CanKeyDownModifyEdit(WORD Key, TShiftState Shift) { return false; }
  virtual bool CanKeyPressModifyEdit(Char Key) { return false; }
  virtual bool WantNavigationKeys() { return false; }
  virtual bool NeedsInvokeAfterKeyDown(WORD Key, TShiftState Shift);
  virtual bool IsEditorKey(WORD Key, TShiftState Shift);
  virtual bool SendActivationKey(Char Key) { return true; }
  bool CanContainerHandleTabs() override { return false; }

  // Buttons
  void DoProcessEventsOnViewInfoChanging() override;
  virtual void DefaultButtonClick();
  virtual void DoButtonClick(int32_t AButtonVisibleIndex);
  virtual void DoButtonDown(int32_t AButtonVisibleIndex) {}
  virtual void DoButtonUp(int32_t AButtonVisibleIndex) {}

  // Messages, mouse, focus
  void WndProc(TMessage& Message) override;
  void CreateHandle() override;
  bool DoInnerControlDefaultHandler(TMessage& Message) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  virtual bool HandleMouseWheel(TShiftState Shift);
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DoEnter() override;
  void DoExit() override;
  void FocusChanged() override;
  bool CanFocusOnClick() override;
  virtual void DoClick();
  virtual bool IsClickEnabledDuringLoading() { return false; }
  bool IsTransparentBackground() override { return IsNativeBackground() || IsTransparent(); }
  // The distances from the view info's bounds to its shadow rectangle.
  TRect GetBorderExtent() override;
  // The validation mark's area, which lies outside the border.
  TRect GetWindowRegionAddon() override;
  bool IsReadOnly() override;
  // The hint of a part of the editor (the control's Hint when ShowHint).
  virtual String GetHintText(int32_t APart);

  // Size
  using TcxCustomEditContainer::CanAutoSize;
  virtual bool CanAutoSize();
  virtual bool CanAutoWidth();
  virtual bool CanAutoHeight() { return true; }
  virtual bool IsHeightDependOnWidth() { return false; }
  virtual bool UseAnchorX() { return false; }
  virtual bool UseAnchorY() { return false; }
  bool UseAnchors() { return UseAnchorX() || UseAnchorY(); }
  virtual void DoAutoSizeChanged() {}
  virtual void PopulateSizeProperties(TcxEditSizeProperties& AEditSizeProperties);
  // The measured size of the current value within the limits (the view data's GetEditSize).
  virtual TSize MeasureEditSize(const TcxEditSizeProperties& AEditSizeProperties);
  void InternalCanResize(int& NewWidth, int& NewHeight);
  void DoSetSize() override;
  void ChangeScaleEx(int M, int D, bool isDpiChange) override;
  bool NeedStoreWidth();
  bool NeedStoreHeight() { return !CanAutoSize(); }

  bool InternalValidateEdit(TcxEditValidationOptions AValidationOptions, bool AForce);
  bool InternalValidateEdit(bool AForce = false);
  void InternalPostEditValue(bool AValidateEdit);
  void SaveModified();
  void RestoreModified();
  void SetPrevEditValue(const Variant& Value);
  void DoClearEditData(TcxCustomEditData* AEditData);
  TcxContainerStyleValues InternalGetNotPublishedStyleValues() override;
  void CalculateViewInfo(const TPoint& P, bool AHotTrack) override;
  bool DoRefreshContainer(const TPoint& P, TcxMouseButton Button, TShiftState Shift,
                          bool AIsMouseEvent) override;

  int32_t FCaptureButtonVisibleIndex = -1;
  bool FSupportsTouchMode = false;
  Variant FEditValue;
  Variant FPrevEditValue;
  bool FPrevValidationError = false;
  bool FIsFirstSetSize = false;
  bool FIsKeyPressHandled = false;

 private:
  friend class TcxCustomEditData;
  friend class TcxEditDataBinding;
  void InitializeVirtualParts();
  void DoCut();
  void DoPaste();
  void WithUserActionIfFocused(const std::function<void()>& AAction);
  // CM_HINTSHOW: True when handled here.
  bool HandleHintShow(TMessage& Message);
  Variant ValueToValidate();
  void PostShortRefresh();
  void DblClickTimerHandler(TObject* Sender);
  void EditDataDestroyed(TcxCustomEditData* AEditData);
  void CheckAutoSizeChanges(bool AValue);
  void ReadAnchorX(TReader* Reader);
  void ReadAnchorY(TReader* Reader);
  void ReadWidth(TReader* Reader);
  void ReadHeight(TReader* Reader);
  void WriteAnchorX(TWriter* Writer);
  void WriteAnchorY(TWriter* Writer);
  void WriteWidth(TWriter* Writer);
  void WriteHeight(TWriter* Writer);

  TcxCustomEditProperties* FProperties = nullptr;
  TcxEditRepositoryItem* FRepositoryItem = nullptr;
  IcxCustomInnerEdit* FInnerEdit = nullptr;
  TcxEditDataBinding* FDataBinding = nullptr;
  TcxEditChangeEventsCatcher* FChangeEventsCatcher = nullptr;
  TcxCustomEditData* FEditData = nullptr;
  TcxTimer* FDblClickTimer = nullptr;
  // Edit data made for this editor; they forget it when it goes.
  std::vector<TcxCustomEditData*> FEditDataList;
  TcxWindowProcLinkedObject* FWindowProcObject = nullptr;
  bool FVirtualPartsInitialized = false;
  std::vector<TcxEditModifiedState> FPrevModifiedList;
  bool FModified = false;
  bool FModifiedAfterEnter = false;
  bool FIsEditValidated = false;
  bool FIsEditValidating = false;
  int32_t FLockValidate = 0;
  bool FValidationError = false;
  String FValidationErrorText;
  bool FValidateErrorProcessing = false;
  int32_t FUserActionCount = 0;
  int32_t FUserActionDisabledCount = 0;
  int32_t FEditValueChangingLockCount = 0;
  int32_t FClickLockCount = 0;
  bool FEditModeSetting = false;
  bool FIsPosting = false;
  bool FIsHiding = false;
  bool FIsInplace = false;
  bool FIsJustCreated = false;
  bool FIsBarControl = false;
  bool FAutoHeight = false;
  bool FAutoWidth = false;
  int32_t FAnchorX = INT32_MAX;
  int32_t FAnchorY = INT32_MAX;
  bool FAnchorXRead = false;  // FAnchorScalingFlags: read from a stored form, not yet scaled
  bool FAnchorYRead = false;
  bool FFocused = false;
  bool FHandleAllocating = false;
  bool FNeedFocusOnClick = true;
};

// Hidden editors a grid-like owner reuses cell by cell, one per properties object.
class TcxInplaceEditList : public TObject {
  QD_CLASS(TcxInplaceEditList, TObject)

 public:
  explicit TcxInplaceEditList(TComponent* AEditorOwner);
  ~TcxInplaceEditList() override;

  // The editor bound to AProperties; else an unbound one of the container class, bound now;
  // else a new hidden in-place editor. The editor takes the properties.
  TcxCustomEdit* GetEdit(TcxCustomEditProperties* AProperties);
  // An unbound editor of the class's container class, or a new unbound one.
  TcxCustomEdit* GetEdit(TClass APropertiesClass);
  TcxCustomEdit* FindEdit(TcxCustomEditProperties* AProperties) const;
  TcxCustomEdit* FindEdit(TClass APropertiesClass) const;
  void DisconnectProperties(TcxCustomEditProperties* AProperties);
  void RemoveItem(TcxCustomEditProperties* AProperties);
  void RemoveItem(TClass APropertiesClass);
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }

 private:
  struct TcxEditListItem {
    TcxCustomEdit* Edit;
    TcxCustomEditProperties* Properties;
  };
  TcxCustomEdit* CreateEdit(TClass APropertiesClass);
  void InitEdit(TcxCustomEdit* AEdit, TcxCustomEditProperties* AProperties);
  void RemoveAt(size_t AIndex);
  TComponent* FEditorOwner;
  std::vector<TcxEditListItem> FItems;
};

class TcxBitmap32;
// A new 16 x 16 validation icon of the kind (ekError, ekWarning or ekInfo; others as errors).
TcxBitmap32* cxEditCreateValidationIcon(TcxEditErrorKind AKind);
// The validation icons made at start-up (nil before and after).
extern TcxBitmap32* cxEditErrorIcon;
extern TcxBitmap32* cxEditWarningIcon;
extern TcxBitmap32* cxEditInfoIcon;

// Every in-place edit list forgets editors made for AProperties.
void ClearPropertiesDestroyingListeners(TcxCustomEditProperties* AProperties);

// --- Process-wide registries and helpers ------------------------------------------------

// Editor properties classes with their descriptions, sorted by description.
TcxRegisteredClasses* GetRegisteredEditProperties();
// Every living properties object.
TList* CreatedEditPropertiesList();

// True when the types agree (both numeric, both strings or the same variant type) and the
// values are equal.
bool cxEditVarEquals(const Variant& V1, const Variant& V2);
bool InternalVarEqualsExact(const Variant& V1, const Variant& V2);
// #0, tab, line feed, form feed, carriage return or space.
bool IsSpaceChar(Char C);
// The first component among APersistent and its chain of persistent owners.
TComponent* GetOwnerComponent(TPersistent* APersistent);
// The properties' class publishes a property of that name.
bool IsPropertiesPropertyVisible(TcxCustomEditProperties* AProperties, const Char* AName);

// The shift-state item of a mouse button.
TShiftState ButtonToShift(TMouseButton AButton);
TShiftState cxButtonToShift(TcxMouseButton AButton);
// Sends a mouse message with the key state of AShift as WPARAM and the point as LPARAM.
LRESULT SendMouseEvent(TWinControl* AReceiver, UINT AMessage, TShiftState AShift, const TPoint& APoint);
// Sends a key message with the key as WPARAM and 0 as LPARAM.
LRESULT SendKeyEvent(TWinControl* AReceiver, UINT AMessage, WPARAM AKey, TShiftState AShift);
LRESULT SendKeyDown(TWinControl* AReceiver, WORD AKey, TShiftState AShift = {});
LRESULT SendKeyPress(TWinControl* AReceiver, Char AKey);
// ADest := ADest united with ASource.
void UniteRegions(HRGN ADest, HRGN ASource);

// The editors' mouse-wheel cursor.
constexpr TCursor crcxEditMouseWheel = 4101;

namespace cxEdit {
void Initialize();
void Finalize();
}  // namespace cxEdit

}  // namespace qd
