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
// (TcxCustomTextEdit, TcxTextEdit, the inner text edit; TcxCustomTextEditProperties's
// GetContainerClass answers TcxTextEdit and is defined with the editor.)

}  // namespace qd
