#pragma once
// The text editor unit: the text editor's properties (formats, null string, maximum length,
// password echo, character case, lookup items), its view data and view info with the
// functions that measure and draw editor text, and the text editor with its inner edit.
#include <cstdint>
#include <memory>

#include "platform/base/set.h"
#include "platform/classes/lists.h"
#include "platform/forms/controls.h"
#include "platform/forms/stdctrls.h"
#include "platform/classes/rtti.h"
#include "ui/core/cxFormats.h"
#include "ui/editors/cxEdit.h"
#include "ui/editors/cxFilterEdits.h"
#include "ui/graphics/cxTextLayout.h"

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

// The lookup data (the current item, locating, moving, filtering, the list): cxTextEditLookup.h.
class TcxCustomTextEditLookupData;
class IcxTextEditLookupData;

// What moves through the lookup items.
enum TcxEditScrollCause : uint8_t { escKeyboard, escMouseWheel };

// Offered by the editor that owns lookup data (the text editor): the notice through which its
// text changes reach the lookup data, locked while the lookup data writes the text itself.
class IcxTextEditLookupDataOwner {
 public:
  virtual ~IcxTextEditLookupDataOwner() = default;
  virtual bool LookupDataTextChangedLocked() = 0;
  virtual void SetLookupDataTextChangedLocked(bool Value) = 0;
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
  virtual TClass GetLookupDataClass();
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
  TClass GetContainerClass() const override;
  bool CanCompareEditValue() override { return true; }
  bool CanValidate() override { return true; }
  bool HasDisplayValue() override { return true; }
  bool CompareDisplayValues(const Variant& AEditValue1, const Variant& AEditValue2) override;
  TcxEditDisplayFormatOptions GetDisplayFormatOptions() override { return {dfoSupports}; }
  TClass GetViewDataClass() const override;
  TClass GetViewInfoClass() const override;
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

// --- View data and view info ------------------------------------------------------------------

class TcxCustomTextEditViewInfo;

// Owner drawing of the text area.
using TcxTextEditCustomDrawHandler = TMethod<void(TcxCanvas* ACanvas, const TRect& ARect)>;

// Text rows prepared for drawing. The rows point into Text, the data's own copy of the text,
// so a copy of the data is never prepared (its rows would point into the original).
struct TcxTextOutData {
  TcxTextOutData() = default;
  TcxTextOutData(const TcxTextOutData&) {}
  TcxTextOutData& operator=(const TcxTextOutData&) {
    Clear();
    return *this;
  }
  void Clear();

  bool ForceEndEllipsis = false;
  bool Initialized = false;
  int32_t RowCount = 0;
  int32_t SelStart = 0;
  int32_t SelLength = 0;
  TColor SelBackgroundColor = clDefault;
  TColor SelTextColor = clDefault;
  TcxTextParams TextParams;
  TRect TextRect;
  TcxTextRows TextRows;
  String Text;
};

// The text editor's layout: text area, draw flags, draw value and selection colours.
class TcxCustomTextEditViewData : public TcxCustomEditViewData {
  QD_CLASS(TcxCustomTextEditViewData, TcxCustomEditViewData)

 public:
  using TcxCustomEditViewData::TcxCustomEditViewData;

  // The editor exists and its inner edit draws the text.
  virtual bool GetIsEditClass();
  virtual int32_t GetMaxLineCount() { return MaxLineCount; }
  virtual bool IsComboBoxStyle() { return false; }
  virtual void PrepareDrawTextFlags(TcxCanvas* ACanvas, TcxCustomTextEditViewInfo* AViewInfo);
  virtual void DisplayValueToDrawValue(const Variant& ADisplayValue, TcxCustomTextEditViewInfo* AViewInfo);
  virtual uint32_t GetDrawTextFlags();
  virtual TRect GetDrawTextOffset();

  void Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, TcxMouseButton Button,
                 TShiftState Shift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void EditValueToDrawValue(const Variant& AEditValue, TcxCustomEditViewInfo* AViewInfo) override;
  TRect GetClientExtent(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo) override;
  void CalculateButtonNativePartInfo(HTHEME ATheme, TcxEditButtonViewInfo* AButtonViewInfo) override;
  void InitCacheData() override;
  void InternalEditValueToDisplayText(const Variant& AEditValue, String& AText) override;
  TSize InternalGetEditContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                                   const TcxEditSizeProperties& AEditSizeProperties) override;

  // The view info takes the selection and its colours.
  void PrepareSelection(TcxCustomTextEditViewInfo* AViewInfo);
  TcxCustomTextEditProperties* TextProperties() const;
  bool IsValueFormatted() const { return FIsValueFormatted; }

  // An editor that shows a popup window says so here (a view data has no other way to know).
  bool EditHasPopupWindow = false;

 private:
  bool FIsValueFormatted = false;
};

// The text editor's drawing: frame, background and buttons, and the text itself while the
// inner edit is hidden (fixed lists, no-edit style, in-place painting).
class TcxCustomTextEditViewInfo : public TcxCustomEditViewInfo {
  QD_CLASS(TcxCustomTextEditViewInfo, TcxCustomEditViewInfo)

 public:
  TcxCustomTextEditViewInfo() = default;

  void Assign(TObject* Source) override;
  void Offset(int32_t DX, int32_t DY) override;
  bool NeedShowHint(TcxCanvas* ACanvas, const TPoint& P, int32_t AMaxLineCount, TRect& ATextRect,
                    bool& AIsMultiLine, String& AText, const TRect& AVisibleBounds) override;
  void PrepareCanvasFont(TcxCanvas* ACanvas) override;
  TcxEditBackgroundPaintingStyle GetBackgroundPaintingStyle() override;

  virtual void DrawText(TcxCanvas* ACanvas);
  // The baseline of the text's first row, from the font's metrics.
  virtual int32_t GetTextBaseLine();
  // Password bullets in native style on Windows 7 or later with a theme.
  bool NeedDrawPasswordBullets();

  bool ComboBoxStyle = false;
  TcxTextEditCustomDrawHandler CustomDrawHandler;
  bool DrawSelectionBar = false;
  uint32_t DrawTextFlags = 0;
  TcxEditEditingStyle EditingStyle = esEdit;
  bool HasPopupWindow = false;
  bool IsEditClass = false;
  bool IsOwnerDrawing = false;
  int32_t MaxLineCount = 0;
  int32_t SelStart = 0;
  int32_t SelLength = 0;
  TColor SelTextColor = clDefault;
  TColor SelBackgroundColor = clDefault;
  String Text;
  TcxTextOutData TextOutData;
  TRect TextRect;

 protected:
  void InternalPaint(TcxCanvas* ACanvas) override;
};

// --- Unit functions ----------------------------------------------------------------------------

// The password character: APasswordChar when set; else the bullet U+25CF when AUseBullets,
// the system is Windows 7 or later and a theme is active; else '*'.
Char GetWindowsPasswordChar(bool AUseBullets, Char APasswordChar);
// Thousand separators inserted into a number's text (blanks and an exponent kept aside).
void InsertThousandSeparator(String& S);

// TextRect of the view info: the client rectangle less the draw text offsets, at least one
// row high for a stand-alone editor.
void CalculateTextEditViewInfo(TcxCanvas* ACanvas, TcxCustomTextEditViewData* AViewData,
                               TcxCustomTextEditViewInfo* AViewInfo, bool AIsMouseEvent);
// The content offsets; the fixed-list and no-edit styles of a stand-alone editor keep the text
// one pixel further from the frame.
void GetTextEditDrawTextOffset(TcxCustomEditViewData* AViewData, TRect& AOffsets);
// Auto-height wrapping: multi-line flags when the text needs more than one row.
void PrepareTextEditDrawTextFlags(TcxCanvas* ACanvas, TcxCustomTextEditViewData* AViewData,
                                  TcxCustomTextEditViewInfo* AViewInfo);
// The size of AText's content: best fit when AEditSizeProperties.Width < 0, else the height
// for that width.
TSize GetTextEditContentSize(TcxCanvas* ACanvas, TcxCustomEditViewData* AViewData, const String& AText,
                             uint32_t ADrawTextFlags, const TcxEditSizeProperties& AEditSizeProperties,
                             int32_t ALineCount = 0, bool AAddWidthCorrection = true);
// Breaks AText into rows inside ARect and places them; the selection is clamped to the text.
void PrepareTextRows(HDC ADC, const String& AText, const TRect& ARect, uint32_t AFlags, int32_t AMaxLineCount,
                     int32_t ASelStart, int32_t ASelLength, TColor ASelBackgroundColor, TColor ASelTextColor,
                     TcxTextOutData& AData);
// Draws AText's rows with the selection, preparing them first when needed.
void InternalTextOut(HDC ADC, const String& AText, TcxTextOutData& AData, const TRect& ARect, uint32_t AFlags,
                     int32_t AMaxLineCount, int32_t ASelStart, int32_t ASelLength, TColor ASelBackgroundColor,
                     TColor ASelTextColor);
void DrawEditText(TcxCanvas* ACanvas, TcxCustomTextEditViewInfo* AViewInfo, bool ABullets);
// The text view info's painting: the editor, its frame, the text and the focus rectangle.
void DrawTextEdit(TcxCanvas* ACanvas, TcxCustomTextEditViewInfo* AViewInfo);

// --- The text editor and its inner edit ---------------------------------------------------

class TcxCustomTextEdit;
class TcxCustomInnerTextEdit;

// The inner system edit as the text editor sees it.
class IcxInnerTextEdit : public IcxCustomInnerEdit {
 public:
  virtual void ClearSelection() = 0;
  virtual void CopyToClipboard() = 0;
  virtual TAlignment GetAlignment() = 0;
  virtual void SetAlignment(TAlignment Value) = 0;
  virtual bool GetAutoSelect() = 0;
  virtual void SetAutoSelect(bool Value) = 0;
  virtual TEditCharCase GetCharCase() = 0;
  virtual void SetCharCase(TEditCharCase Value) = 0;
  virtual TcxEditEchoMode GetEchoMode() = 0;
  virtual void SetEchoMode(TcxEditEchoMode Value) = 0;
  // The first character shown (EM_CHARFROMPOS of the point (0, 0)).
  virtual int32_t GetFirstVisibleCharIndex() = 0;
  virtual bool GetHideSelection() = 0;
  virtual void SetHideSelection(bool Value) = 0;
  virtual Char GetImeLastChar() = 0;
  virtual TImeMode GetImeMode() = 0;
  virtual void SetImeMode(TImeMode Value) = 0;
  virtual String GetImeName() = 0;
  virtual void SetImeName(const String& Value) = 0;
  virtual bool GetInternalUpdating() = 0;
  virtual void SetInternalUpdating(bool Value) = 0;
  virtual int32_t GetMaxLength() = 0;
  virtual void SetMaxLength(int32_t Value) = 0;
  virtual bool GetMultiLine() = 0;
  virtual bool GetOEMConvert() = 0;
  virtual void SetOEMConvert(bool Value) = 0;
  virtual TNotifyEvent GetOnSelChange() = 0;
  virtual void SetOnSelChange(const TNotifyEvent& Value) = 0;
  virtual Char GetPasswordChar() = 0;
  virtual void SetPasswordChar(Char Value) = 0;
  virtual int32_t GetSelLength() = 0;
  virtual int32_t GetSelStart() = 0;
  virtual String GetSelText() = 0;
  virtual bool GetUseLeftAlignmentOnEditing() = 0;
  virtual void SetUseLeftAlignmentOnEditing(bool Value) = 0;
  virtual void SelectAll() = 0;
  virtual void SetSelLength(int32_t Value) = 0;
  virtual void SetSelStart(int32_t Value) = 0;
  virtual void SetSelText(const String& Value) = 0;
  virtual String GetTextHint() = 0;
  virtual void SetTextHint(const String& Value) = 0;
};

// Implements the inner-edit interfaces for an inner text edit, which it does not own.
class TcxCustomInnerTextEditHelper : public TcxInterfacedPersistent, public IcxInnerTextEdit {
  QD_CLASS(TcxCustomInnerTextEditHelper, TcxInterfacedPersistent)

 public:
  explicit TcxCustomInnerTextEditHelper(TcxCustomInnerTextEdit* AEdit);

  // IcxCustomInnerEdit
  TWinControl* GetControl() override;
  TcxContainer* GetControlContainer() override;
  LRESULT CallDefWndProc(UINT AMsg, WPARAM WParam, LPARAM LParam) override;
  bool CanProcessClipboardMessages() override { return false; }
  Variant GetEditValue() override;
  TNotifyEvent GetOnChange() override;
  void SetOnChange(const TNotifyEvent& Value) override;
  bool GetReadOnly() override;
  void SetReadOnly(bool Value) override;
  void LockBounds(bool ALock) override;
  void SafelySetFocus() override;
  void SetEditValue(const Variant& Value) override;
  void SetParent(TWinControl* Value) override;
  // IcxInnerTextEdit
  void ClearSelection() override;
  void CopyToClipboard() override;
  TAlignment GetAlignment() override;
  void SetAlignment(TAlignment Value) override;
  bool GetAutoSelect() override;
  void SetAutoSelect(bool Value) override;
  TEditCharCase GetCharCase() override;
  void SetCharCase(TEditCharCase Value) override;
  TcxEditEchoMode GetEchoMode() override;
  void SetEchoMode(TcxEditEchoMode Value) override;
  int32_t GetFirstVisibleCharIndex() override;
  bool GetHideSelection() override;
  void SetHideSelection(bool Value) override;
  Char GetImeLastChar() override;
  TImeMode GetImeMode() override;
  void SetImeMode(TImeMode Value) override;
  String GetImeName() override;
  void SetImeName(const String& Value) override;
  bool GetInternalUpdating() override;
  void SetInternalUpdating(bool Value) override;
  int32_t GetMaxLength() override;
  void SetMaxLength(int32_t Value) override;
  bool GetMultiLine() override { return false; }
  bool GetOEMConvert() override;
  void SetOEMConvert(bool Value) override;
  TNotifyEvent GetOnSelChange() override;
  void SetOnSelChange(const TNotifyEvent& Value) override;
  Char GetPasswordChar() override;
  void SetPasswordChar(Char Value) override;
  int32_t GetSelLength() override;
  int32_t GetSelStart() override;
  String GetSelText() override;
  bool GetUseLeftAlignmentOnEditing() override;
  void SetUseLeftAlignmentOnEditing(bool Value) override;
  void SelectAll() override;
  void SetSelLength(int32_t Value) override;
  void SetSelStart(int32_t Value) override;
  void SetSelText(const String& Value) override;
  String GetTextHint() override;
  void SetTextHint(const String& Value) override;

  bool GetIsInplace();
  TcxCustomInnerTextEdit* Edit() const { return FEdit; }

 private:
  TcxCustomInnerTextEdit* FEdit;
  int32_t FSelStart = 0;
  int32_t FSelLength = 0;
};

// The system EDIT window inside a text editor (its container, which owns it): keys, mouse,
// focus and clipboard go to the container first; while unfocused and not left-aligned it
// paints its text itself.
class TcxCustomInnerTextEdit : public TCustomEdit, public IcxInnerEditHelper {
  QD_CLASS(TcxCustomInnerTextEdit, TCustomEdit)

 public:
  using OwnerType = TComponent;
  explicit TcxCustomInnerTextEdit(TComponent* AOwner);
  ~TcxCustomInnerTextEdit() override;
  // The helper is made by a virtual factory, after construction.
  void AfterConstruction() override;

  IcxCustomInnerEdit* GetHelper() override;
  IcxInnerTextEdit* Helper() const { return FHelper.get(); }
  TcxCustomTextEdit* Container() const;

  TAlignment GetAlignment();
  void SetAlignment(TAlignment Value);
  TAlignment GetRealAlignment();
  TcxEditEchoMode EchoMode() const { return FEchoMode; }
  void SetEchoMode(TcxEditEchoMode Value);
  bool UseLeftAlignmentOnEditing() const { return FUseLeftAlignmentOnEditing; }
  void SetUseLeftAlignmentOnEditing(bool Value);
  Char InnerPasswordChar() const { return FPasswordChar; }
  void SetInnerPasswordChar(Char Value);
  bool InternalUpdating() const { return FInternalUpdating; }
  void SetInternalUpdating(bool Value) { FInternalUpdating = Value; }
  TImeMode ImeMode() const { return FImeMode; }
  void SetImeMode(TImeMode Value) { FImeMode = Value; }
  const String& ImeName() const { return FImeName; }
  void SetImeName(const String& Value) { FImeName = Value; }
  bool OEMConvert() const { return FOEMConvert; }
  void SetOEMConvert(bool Value);
  int32_t LockBoundsCount() const { return FLockBoundsCount; }
  // The caret's character index.
  int32_t GetCaretCharIndex();
  // The text as it is drawn while the edit paints itself (password characters for eemPassword).
  String GetDrawText();

  TNotifyEvent OnSelChange;

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  bool CanFocus() override;

 protected:
  friend class TcxCustomInnerTextEditHelper;
  virtual std::unique_ptr<TcxCustomInnerTextEditHelper> CreateHelper();
  virtual void AdjustMargins();
  virtual void MouseEnter(TControl* AControl) {}
  virtual void MouseLeave(TControl* AControl);
  // The horizontal alignment of the container's active properties.
  TAlignment GetBasedAlignment();
  void InternalPaint(HDC DC);
  bool IsDesigning() const { return ComponentState().Contains(csDesigning); }

  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void CreateWnd() override;
  void CreateHandle() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheel(TShiftState, int, TPoint) override { return false; }
  void Click() override;
  void DblClick() override;
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  void DragDrop(TObject* Source, int X, int Y) override;

 private:
  bool NeedsOwnPainting();
  void WMKeyDown(TMessage& Message);
  void WMChar(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMPaint(TMessage& Message);

  TAlignment FAlignment = taLeftJustify;
  TcxEditEchoMode FEchoMode = eemNormal;
  std::unique_ptr<TcxCustomInnerTextEditHelper> FHelper;
  bool FInternalUpdating = false;
  bool FIsCreating = false;
  int32_t FLockBoundsCount = 0;
  Char FPasswordChar = 0;
  bool FUseLeftAlignmentOnEditing = true;
  TImeMode FImeMode = imDontCare;
  String FImeName;
  bool FOEMConvert = false;
};

// The text editor: a base editor over an inner system edit whose text is kept in step with
// the edit value.
class TcxCustomTextEdit : public TcxCustomEdit, public IcxTextEditLookupDataOwner {
  QD_CLASS(TcxCustomTextEdit, TcxCustomEdit)
  QD_PUBLISHED(TcxCustomTextEdit)

 public:
  explicit TcxCustomTextEdit(TComponent* AOwner) : TcxCustomTextEdit(AOwner, false) {}
  TcxCustomTextEdit(TComponent* AOwner, bool AIsInplace);
  ~TcxCustomTextEdit() override;
  void AfterConstruction() override;

  TClass GetPropertiesClass() const override { return TcxCustomTextEditProperties::StaticClass(); }
  TcxCustomTextEditProperties* ActiveProperties() {
    return static_cast<TcxCustomTextEditProperties*>(TcxCustomEdit::ActiveProperties());
  }
  TcxCustomTextEditProperties* Properties() {
    return static_cast<TcxCustomTextEditProperties*>(TcxCustomEdit::Properties());
  }
  TcxCustomTextEditViewInfo* ViewInfo() {
    return static_cast<TcxCustomTextEditViewInfo*>(TcxCustomEdit::ViewInfo());
  }
  IcxInnerTextEdit* InnerTextEdit() const { return dynamic_cast<IcxInnerTextEdit*>(InnerEdit()); }

  // -- Text and selection
  String GetDisplayText() override;
  int32_t SelStart();
  void SetSelStart(int32_t Value);
  int32_t SelLength();
  void SetSelLength(int32_t Value);
  String SelText();
  void SetSelText(const String& Value) { DoSetSelText(Value); }
  void SetSelection(int32_t ASelStart, int32_t ASelLength);
  void SelectAll() override;
  void CopyToClipboard() override;
  void CutToClipboard() override;
  void PasteFromClipboard() override;
  // As if typed: the editing request is asked and ModifiedAfterEnter set.
  void SetEditingText(const String& Value);
  String EditingText() { return VarToStr(GetEditingValue()); }
  String TextHint();
  void SetTextHint(const String& Value);
  // The inner edit's caret position.
  int32_t CursorPos();
  bool BeepOnEnter() const { return FBeepOnEnter; }
  void SetBeepOnEnter(bool Value) { FBeepOnEnter = Value; }
  TImeMode ImeMode() const { return FImeMode; }
  void SetImeMode(TImeMode Value) { FImeMode = Value; }
  const String& ImeName() const { return FImeName; }
  void SetImeName(const String& Value) { FImeName = Value; }
  bool FindSelection() const { return FFindSelection; }
  void SetFindSelection(bool Value);
  bool IsPopupWindowJustClosed() const { return FIsPopupWindowJustClosed; }
  void SetIsPopupWindowJustClosed(bool Value) { FIsPopupWindowJustClosed = Value; }

  // -- Text baseline (the view info's)
  virtual bool HasTextBaseLine() { return true; }
  virtual int32_t GetTextBaseLine();

  // -- Keeping text and value in step
  // The display text is accepted when valid (and, in a user action, editing is allowed).
  virtual bool SetDisplayText(const String& AText);
  virtual void FormatChanged();
  virtual bool IsTextInputMode();
  // Asks whether Value may replace the selection; gives the resulting text and caret.
  virtual bool CanChangeSelText(const String& Value, String& ANewText, int32_t& ANewSelStart);
  virtual void ClearSelection();
  virtual void Undo() { Reset(); }
  bool SupportsSpelling() override { return IsTextInputMode(); }
  void PropertiesChanged(TObject* Sender) override;

  // -- Lookup items
  // The lookup data (nil when the properties name no lookup data class).
  TcxCustomTextEditLookupData* LookupData() const { return FLookupData; }
  virtual IcxTextEditLookupData* GetILookupData();
  // The index of the current lookup item, -1 for none.
  int32_t ItemIndex() { return GetItemIndex(); }
  virtual void SetItemIndex(int32_t Value);
  // The object stored with the current lookup item (nil for none); setting it selects the
  // first lookup item that carries the object.
  TObject* ItemObject() { return GetItemObject(); }
  void SetItemObject(TObject* Value);
  bool LookupItemsScrolling() const { return FLookupItemsScrolling; }
  // IcxTextEditLookupDataOwner
  bool LookupDataTextChangedLocked() override { return FLookupDataTextChangedLocked; }
  void SetLookupDataTextChangedLocked(bool Value) override { FLookupDataTextChangedLocked = Value; }

 protected:
  friend class TcxCustomInnerTextEdit;
  friend class TcxCustomInnerTextEditHelper;
  friend void SeparateDigitGroups(TcxCustomTextEdit* AEdit);

  // -- Base editor overrides
  TClass GetInnerEditClass() override { return TcxCustomInnerTextEdit::StaticClass(); }
  bool IsEditClass() override;
  bool InternalDoEditing() override;
  Variant InternalGetEditingValue() override { return Variant(GetDisplayText()); }
  void SetInternalDisplayValue(const Variant& Value) override;
  void SynchronizeDisplayValue() override;
  void SynchronizeEditValue() override;
  void UpdateDrawValue() override;
  void ChangeHandler(TObject* Sender) override;
  void InitializeInnerEdit() override;
  void AdjustInnerEditPosition() override;
  bool WantNavigationKeys() override { return true; }
  bool NeedsInvokeAfterKeyDown(WORD, TShiftState) override { return false; }
  bool IsValidChar(Char AChar) override;
  bool CanKeyDownModifyEdit(WORD Key, TShiftState Shift) override;
  bool CanKeyPressModifyEdit(Char Key) override;
  void DoEditKeyDown(WORD& Key, TShiftState Shift) override;
  void DoEditKeyPress(Char& Key) override;
  void DoExit() override;
  void DoSetFocusWhenActivate() override;
  void DoFocusChanged() override;
  void DoEditValueChanged() override;
  bool DoRefreshContainer(const TPoint& P, TcxMouseButton Button, TShiftState Shift,
                          bool AIsMouseEvent) override;
  void SetScrollBarsParameters(bool AIsScrolling = false) override;
  void InternalValidateDisplayValue(const Variant& ADisplayValue) override;
  void Loaded() override;
  void PopulateSizeProperties(TcxEditSizeProperties& AEditSizeProperties) override;
  void ContainerStyleChanged(TObject* Sender) override;
  void DefaultHandler(TMessage& Message) override;
  void WndProc(TMessage& Message) override;

  // -- Text editor family
  // Page Up, Page Down, End, Home, Up and Down.
  virtual bool IsLookupNavigationKey(WORD Key, TShiftState Shift);
  virtual void AdjustInnerEdit();
  virtual void PrepareEditValue(const Variant& ADisplayValue, Variant& EditValue, bool AEditFocused);
  virtual int32_t GetInnerEditHeight();
  virtual void InternalSetDisplayValue(const Variant& Value);
  virtual void ResetOnNewDisplayValue() { SetFindSelection(false); }
  virtual void SelChange(TObject* Sender) {}
  virtual void DoSetSelText(const String& Value);
  virtual void UndoPerformed() {}
  virtual void UpdateDisplayValue();
  virtual void InternalGetText(String& AText) { AText = GetDisplayText(); }
  virtual bool InternalSetText(const String& AText) { return SetDisplayText(AText); }
  virtual bool NeedResetInvalidTextWhenPropertiesChanged();
  virtual void CheckEditValue();
  virtual void CheckEditorValueBounds() {}
  virtual void DoTextChanged() {}
  // Incremental search: completes AText from the first matching lookup item.
  virtual bool PopulateFromList(String& AText);
  // Whether keys (escKeyboard) or the wheel move through the lookup items.
  virtual bool GetScrollLookupDataList(TcxEditScrollCause AScrollCause) { return false; }
  virtual void DoOnNewLookupDisplayText(const String& AText);
  virtual void ItemIndexToLookupKey(int32_t AIndex, Variant& AKey) { AKey = Variant(AIndex); }
  virtual void LookupKeyToEditValue(const Variant& AKey, Variant& AValue);
  virtual int32_t LookupKeyToItemIndex(const Variant& AKey);
  virtual bool CanSelectItem(bool AFindSelection) { return AFindSelection; }
  virtual int32_t GetItemIndex();
  virtual TObject* GetItemObject();
  // The lookup data selected an item.
  virtual void HandleSelectItem(TObject* Sender);
  virtual void CreateLookupData();
  bool CanIncrementalSearch();
  bool CanContinueIncrementalSearch();
  // The two halves of a key press while searching the lookup items: Key becomes 0 when eaten.
  void IncrementalSearchBackspace(Char& Key, const String& AText, int32_t ASelStart, bool AContainsFixedList);
  void IncrementalSearchCharacter(Char& Key, const String& AText, int32_t ASelStart, int32_t ASelLength,
                                  bool AContainsFixedList, bool APrevFindSelection);
  bool DoIsMouseWheelHandleNeeded(TShiftState Shift);
  bool IsMouseWheelHandleNeeded() override;
  bool InternalMouseWheel(TShiftState Shift, int32_t WheelDelta, const TPoint& MousePos) override;
  void DoValidateDisplayValue(Variant& ADisplayValue, String& AErrorText, bool& AError) override;
  // Moves through the lookup items as keys and the wheel do: clicks and posting follow a
  // changed item.
  void LookupDataGo(TcxEditLookupDataGoDirection ADirection, bool ACircular = false);
  // A lookup navigation key moves through the items (eaten) when the editor lets keys do so.
  void DoLookupNavigationKey(WORD& Key, TShiftState Shift);
  // The data binding's display value (the text written into the inner edit).
  void DataBindingSetDisplayValue(const Variant& Value) { SetInternalDisplayValue(Value); }
  // The text and selection before a key, to tell afterwards whether it changed anything.
  bool IsDisplayValueSynchronizing() const { return FIsDisplayValueSynchronizing; }
  bool FLookupDataTextChangedLocked = false;

 private:
  void WMGetText(TMessage& Message);
  void WMSetText(TMessage& Message);
  void PasteText(const String& AText);
  String InternalGetTextValue();

  bool FBeepOnEnter = true;
  bool FDisableRefresh = false;
  bool FFindSelection = false;
  bool FInternalTextSetting = false;
  bool FIsDisplayValueSynchronizing = false;
  String FSavedText;
  bool FInnerEditPositionAdjusting = false;
  TcxCustomTextEditLookupData* FLookupData = nullptr;
  bool FLookupItemsScrolling = false;
  bool FIsPopupWindowJustClosed = false;
  TImeMode FImeMode = imDontCare;
  String FImeName;
};

// The published text editor.
class TcxTextEdit : public TcxCustomTextEdit {
  QD_CLASS(TcxTextEdit, TcxCustomTextEdit)
  QD_PUBLISHED(TcxTextEdit)

 public:
  using TcxCustomTextEdit::TcxCustomTextEdit;
  TClass GetPropertiesClass() const override { return TcxTextEditProperties::StaticClass(); }
  TcxTextEditProperties* Properties() {
    return static_cast<TcxTextEditProperties*>(TcxCustomEdit::Properties());
  }
};

// The state of an inner edit before a key, to tell afterwards whether the key changed it.
struct TcxTextEditState {
  bool TextSaved = false;
  String Text;
  int32_t SelLength = 0;
  int32_t SelStart = 0;
};
void SaveTextEditState(IcxInnerTextEdit* AEdit, bool ASaveText, TcxTextEditState& AState);
// True when the edit's window is gone, the selection differs, or the saved text differs
// (ignoring case) from the current one.
bool CheckTextEditState(IcxInnerTextEdit* AEdit, const TcxTextEditState& AState);
// Digit groups of the editor's text re-placed, the caret kept after the same digits.
void SeparateDigitGroups(TcxCustomTextEdit* AEdit);
// Thousand separators removed and the text converted; an empty text is 0.
bool StrToFloatEx(String S, double& Value);
void CheckCharsRegister(String& S, TEditCharCase ACharCase);

// Filter rows edit text columns with a text editor.
class TcxFilterTextEditHelper : public TcxCustomFilterEditHelper {
  QD_CLASS(TcxFilterTextEditHelper, TcxCustomFilterEditHelper)

 public:
  static TcxFilterEditHelperClass Class();
  TClass GetFilterEditClass() const override;
  void InitializeProperties(TcxCustomEditProperties* AProperties, TcxCustomEditProperties* AEditProperties,
                            bool AHasButtons) const override;
  void SetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AEditProperties,
                      const Variant& AValue) const override;
};

namespace cxTextEdit {
void Initialize();
void Finalize();
}  // namespace cxTextEdit

}  // namespace qd
