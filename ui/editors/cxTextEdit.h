#pragma once
// The text editor unit: the text editor's properties (formats, null string, maximum length,
// password echo, character case, lookup items), its view data and view info with the
// functions that measure and draw editor text, and the text editor with its inner edit.
#include <cstdint>

#include "platform/base/set.h"
#include "platform/classes/lists.h"
#include "platform/forms/controls.h"
#include "platform/forms/stdctrls.h"
#include "platform/classes/rtti.h"
#include "ui/core/cxFormats.h"
#include "ui/editors/cxEdit.h"

namespace qd {

// --- Shared types of the text editor family ------------------------------------------------

enum TcxEditEchoMode : uint8_t { eemNormal, eemPassword };
enum TcxTextEditViewStyle : uint8_t { vsNormal, vsHideCursor, vsButtonsOnly, vsButtonsAutoWidth };
enum TcxTextEditIncrementalFilteringOption : uint8_t { ifoHighlightSearchText, ifoUseContainsOperator };
using TcxTextEditIncrementalFilteringOptions = TSet<TcxTextEditIncrementalFilteringOption>;
// Input method mode handed to the inner edit.
enum TImeMode : uint8_t {
  imDisable,
  imClose,
  imOpen,
  imDontCare,
  imSAlpha,
  imAlpha,
  imHira,
  imSKata,
  imKata,
  imChinese,
  imSHanguel,
  imHanguel
};
// A set of 8-bit characters.
enum TcxTextEditChar : uint8_t {};
using TcxTextEditChars = TSet<TcxTextEditChar, 256>;
enum TcxEditValueBound : uint8_t { evbMin, evbMax };

using TcxNewLookupDisplayTextEvent = TMethod<void(TObject* Sender, const String& AText)>;

// Lookup data: a key is an integer variant holding an item index, -1 for none.
enum TcxEditLookupDataGoDirection : uint8_t { egdBegin, egdEnd, egdNext, egdPrev, egdPageUp, egdPageDown };

class TcxCustomTextEditProperties;

// --- Lookup data -------------------------------------------------------------------------
// Only what the properties need of the lookup data: its class, and the items read from the
// properties. The current key, locating, moving and the visual list build on this class.

class TcxCustomTextEditLookupData : public TcxInterfacedPersistent {
  QD_CLASS(TcxCustomTextEditLookupData, TcxInterfacedPersistent)

 public:
  explicit TcxCustomTextEditLookupData(TPersistent* AOwner) : TcxInterfacedPersistent(AOwner) {}

  // The properties of the owning editor (nil when the owner is not an editor).
  virtual TcxCustomTextEditProperties* ActiveProperties() const;
  virtual String GetItem(int32_t AIndex) const;
  virtual int32_t GetItemCount() const;
  // An item equals AText ignoring case.
  virtual bool Find(const String& AText) const;
  // The first item equal to AText ignoring case, or -1.
  int32_t IndexOf(const String& AText) const;
};

// --- Properties ----------------------------------------------------------------------------

// The assigned flags of the formats and of the maximum length.
class TcxTextEditPropertiesValues : public TcxCustomEditPropertiesValues {
  QD_CLASS(TcxTextEditPropertiesValues, TcxCustomEditPropertiesValues)
  QD_PUBLISHED(TcxTextEditPropertiesValues)

 public:
  using TcxCustomEditPropertiesValues::TcxCustomEditPropertiesValues;
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

  bool DisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(bool Value);
  bool EditFormat() const { return FEditFormat; }
  void SetEditFormat(bool Value);
  bool MaxLength() const { return FMaxLength; }
  void SetMaxLength(bool Value);

  // An assigned empty format is stored through the flag alone; a non-empty one is stored
  // with the format property itself.
  bool IsDisplayFormatStored() const;
  bool IsEditFormatStored() const;

 private:
  friend class TcxCustomTextEditProperties;
  TcxCustomTextEditProperties* TextProperties() const;
  bool FDisplayFormat = false;
  bool FEditFormat = false;
  bool FMaxLength = false;
};

// The default vertical alignment of text editors.
extern TcxEditVertAlignment cxTextEditDefaultVertAlignment;

// The settings of the text editor and of every editor derived from it.
class TcxCustomTextEditProperties : public TcxCustomEditProperties, public IcxFormatControllerListener {
  QD_CLASS(TcxCustomTextEditProperties, TcxCustomEditProperties)

 public:
  explicit TcxCustomTextEditProperties(TPersistent* AOwner);
  ~TcxCustomTextEditProperties() override;

  TcxTextEditPropertiesValues* AssignedValues() const {
    return static_cast<TcxTextEditPropertiesValues*>(TcxCustomEditProperties::AssignedValues());
  }

  // -- Settings
  TEditCharCase CharCase() const { return FCharCase; }
  virtual void SetCharCase(TEditCharCase Value);
  // The own format when assigned, else the provider's, else GetDefaultDisplayFormat.
  String DisplayFormat();
  void SetDisplayFormat(const String& Value);
  String EditFormat();
  void SetEditFormat(const String& Value);
  TcxEditEchoMode EchoMode() const { return FEchoMode; }
  void SetEchoMode(TcxEditEchoMode Value) { SetValue(FEchoMode, Value); }
  bool FixedListSelection() const { return FFixedListSelection; }
  void SetFixedListSelection(bool Value);
  bool HideCursor() const { return FHideCursor; }
  void SetHideCursor(bool Value) { SetValue(FHideCursor, Value); }
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value) { SetValue(FHideSelection, Value); }
  TImeMode ImeMode() const { return FImeMode; }
  void SetImeMode(TImeMode Value) { SetValue(FImeMode, Value); }
  const String& ImeName() const { return FImeName; }
  void SetImeName(const String& Value) { SetValue(FImeName, Value); }
  bool ImmediateUpdateText() const { return FImmediateUpdateText; }
  void SetImmediateUpdateText(bool Value) { SetValue(FImmediateUpdateText, Value); }
  bool IncrementalFiltering() const { return FIncrementalFiltering; }
  void SetIncrementalFiltering(bool Value) { FIncrementalFiltering = Value; }
  TcxTextEditIncrementalFilteringOptions IncrementalFilteringOptions() const {
    return FIncrementalFilteringOptions;
  }
  virtual void SetIncrementalFilteringOptions(TcxTextEditIncrementalFilteringOptions Value) {
    FIncrementalFilteringOptions = Value;
  }
  bool IncrementalSearch() const { return FIncrementalSearch; }
  void SetIncrementalSearch(bool Value) { SetValue(FIncrementalSearch, Value); }
  TStringList* LookupItems() const { return FLookupItems; }
  void SetLookupItems(TStrings* Value) { FLookupItems->Assign(Value); }
  bool LookupItemsSorted() const { return FLookupItems->Sorted(); }
  void SetLookupItemsSorted(bool Value) { FLookupItems->SetSorted(Value); }
  // FMaxLength when assigned, else GetDefaultMaxLength.
  int32_t MaxLength();
  void SetMaxLength(int32_t Value);
  bool IsMaxLengthStored() const { return AssignedValues()->MaxLength(); }
  bool MRUMode() const { return FMRUMode; }
  void SetMRUMode(bool Value) { SetValue(FMRUMode, Value); }
  const String& Nullstring() const { return FNullstring; }
  void SetNullstring(const String& Value) { SetValue(FNullstring, Value); }
  bool OEMConvert() const { return FOEMConvert; }
  void SetOEMConvert(bool Value) { SetValue(FOEMConvert, Value); }
  Char PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(Char Value) { SetValue(FPasswordChar, Value); }
  bool UseDisplayFormatWhenEditing() const { return FUseDisplayFormatWhenEditing; }
  void SetUseDisplayFormatWhenEditing(bool Value) { SetValue(FUseDisplayFormatWhenEditing, Value); }
  bool UseNullString() const { return FUseNullString; }
  void SetUseNullString(bool Value) { SetValue(FUseNullString, Value); }
  const TcxTextEditChars& ValidChars() const { return FValidChars; }
  void SetValidChars(const TcxTextEditChars& Value) { SetValue(FValidChars, Value); }
  // Derived from the buttons view style and HideCursor.
  TcxTextEditViewStyle ViewStyle() const;
  void SetViewStyle(TcxTextEditViewStyle Value);
  const TcxNewLookupDisplayTextEvent& OnNewLookupDisplayText() const { return FOnNewLookupDisplayText; }
  void SetOnNewLookupDisplayText(const TcxNewLookupDisplayTextEvent& Value) {
    FOnNewLookupDisplayText = Value;
  }
  bool FormatChanging() const { return FFormatChanging; }

  // -- The text editor family's behaviour
  // IcxFormatControllerListener: one change notice, with FormatChanging set meanwhile.
  void FormatChanged() override;
  virtual void CheckEditValueBounds(const Variant& AValue, String& AErrorText, bool& AError);
  // AEdit turns the display value into an edit value (nil: the display value is used).
  virtual void CheckDisplayValueBounds(const Variant& ADisplayValue, String& AErrorText, bool& AError,
                                       TcxCustomEdit* AEdit);
  virtual void DefaultFocusedDisplayValue(Variant& ADisplayValue) { ADisplayValue = Variant(String()); }
  virtual void DoPrepareDisplayValue(const Variant& AEditValue, Variant& ADisplayValue, bool AEditFocused);
  virtual bool FindLookupText(const String& AText);
  virtual String GetDefaultDisplayFormat() { return {}; }
  virtual TcxTextEditIncrementalFilteringOptions GetDefaultIncrementalFilteringOptions() {
    return {ifoHighlightSearchText, ifoUseContainsOperator};
  }
  virtual int32_t GetDefaultMaxLength();
  virtual int32_t GetDropDownPageRowCount() { return 8; }
  virtual TcxEditEditingStyle GetEditingStyle() { return FHideCursor ? esNoEdit : esEdit; }
  virtual TClass GetLookupDataClass() { return TcxCustomTextEditLookupData::StaticClass(); }
  virtual bool HasDigitGrouping(bool AIsDisplayValueSynchronizing) { return false; }
  // The edit format and whether the value is currency or the provider has a get-text
  // handler; AEdit may be nil.
  virtual void InternalGetEditFormat(bool& AIsCurrency, bool& AIsOnGetTextAssigned, String& AFormat,
                                     TcxCustomEdit* AEdit);
  virtual void LookupDataChanged(TObject* Sender) { Changed(); }
  virtual void MaxLengthChanged() { Changed(); }
  virtual bool UseLookupData() { return GetLookupDataClass() != nullptr; }
  virtual bool UseSearchControl();
  virtual bool IsEditValueEmpty(const Variant& AValue) { return VarIsNull(AValue); }
  virtual bool IsEditValueNumeric() { return false; }
  virtual bool IsLookupDataVisual() { return false; }
  virtual bool IsLookupEdit() { return false; }
  virtual bool IsMultiLine() { return false; }
  virtual bool IsPopupKey(WORD Key, TShiftState Shift) { return false; }
  virtual bool IsValueBoundDefined(TcxEditValueBound ABound);
  virtual bool IsValueBoundsDefined();
  // Character case for eemNormal.
  virtual void DisplayValueToDisplayText(String& AText);
  virtual bool IsDisplayValueValid(Variant& ADisplayValue, bool AEditFocused);

  // Password characters for eemPassword (bullets when AUseBullets allows them), then
  // DisplayValueToDisplayText.
  void DoDisplayValueToDisplayText(bool AUseBullets, String& AText);
  // PrepareDisplayValue for a value IsEditValueValid accepts; otherwise a date as date-time
  // text and any other value as its string.
  void GetDefaultDisplayValue(const Variant& AEditValue, bool AEditFocused, Variant& ADisplayValue);

  // -- Overrides of the editor properties
  bool CanCompareEditValue() override { return true; }
  bool CanValidate() override { return true; }
  bool HasDisplayValue() override { return true; }
  bool CompareDisplayValues(const Variant& AEditValue1, const Variant& AEditValue2) override;
  TcxEditDisplayFormatOptions GetDisplayFormatOptions() override { return {dfoSupports}; }
  TcxEditSupportedOperations GetSupportedOperations() override;
  String GetValidateErrorText(TcxEditErrorKind AErrorKind) override;
  TcxEditEditValueSource GetEditValueSource(bool AEditFocused) override;
  bool IsEditValueValid(Variant& EditValue, bool AEditFocused) override;
  bool IsResetEditClass() override { return GetEditingStyle() != esNoEdit; }
  void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool AEditFocused) override;
  String GetDisplayText(const Variant& AEditValue, bool AFullText = false, bool AIsInplace = true) override;
  void ValidateDisplayValue(Variant& ADisplayValue, String& AErrorText, bool& AError,
                            const TValidateHandler& AValidator = nullptr,
                            const Variant* ACurrentDisplayValue = nullptr) override;
  void DefineProperties(TFiler* Filer) override;

 protected:
  void AlignmentChangedHandler(TObject* Sender) override;
  void BaseSetAlignment(TcxEditAlignment* Value) override;
  void DoAssign(TcxCustomEditProperties* Source) override;
  TcxEditVertAlignment GetDefaultVertAlignment() const override { return cxTextEditDefaultVertAlignment; }
  // The lookup items' change event.
  virtual void LookupItemsChanged(TObject* Sender);

 private:
  friend class TcxTextEditPropertiesValues;
  TEditCharCase FCharCase = ecNormal;
  String FDisplayFormat;
  TcxEditEchoMode FEchoMode = eemNormal;
  String FEditFormat;
  bool FFixedListSelection = true;
  bool FFormatChanging = false;
  bool FHideCursor = false;
  bool FHideSelection = true;
  TImeMode FImeMode = imDontCare;
  String FImeName;
  bool FImmediateUpdateText = false;
  bool FIncrementalFiltering = false;
  TcxTextEditIncrementalFilteringOptions FIncrementalFilteringOptions;
  bool FIncrementalSearch = true;
  TStringList* FLookupItems = nullptr;
  int32_t FMaxLength = 0;
  bool FMRUMode = false;
  String FNullstring;
  bool FOEMConvert = false;
  Char FPasswordChar = 0;
  bool FUseDisplayFormatWhenEditing = false;
  bool FUseNullString = false;
  TcxTextEditChars FValidChars;
  TcxNewLookupDisplayTextEvent FOnNewLookupDisplayText;
};

// The published text editor properties.
class TcxTextEditProperties : public TcxCustomTextEditProperties {
  QD_CLASS(TcxTextEditProperties, TcxCustomTextEditProperties)
  QD_PUBLISHED(TcxTextEditProperties)

 public:
  using TcxCustomTextEditProperties::TcxCustomTextEditProperties;
};

// --- Unit functions ----------------------------------------------------------------------------

// The password character: APasswordChar when set; else the bullet U+25CF when AUseBullets,
// the system is Windows 7 or later and a theme is active; else '*'.
Char GetWindowsPasswordChar(bool AUseBullets, Char APasswordChar);
// Thousand separators inserted into a number's text (blanks and an exponent kept aside).
void InsertThousandSeparator(String& S);

// --- The text editor and its inner edit ---------------------------------------------------
// (TcxCustomTextEdit, TcxTextEdit, the inner text edit; TcxCustomTextEditProperties's
// GetContainerClass answers TcxTextEdit and is defined with the editor.)

}  // namespace qd
