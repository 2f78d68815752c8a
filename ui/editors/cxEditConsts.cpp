#include "ui/editors/cxEditConsts.h"

namespace qd {

const TResStringRec cxSEditInvalidRepositoryItem{u"The repository item is not acceptable"};
const TResStringRec cxSEditPopupCircularReferencingError{u"Circular referencing is not allowed"};
const TResStringRec cxSEditPostError{u"An error occurred during posting edit value"};
const TResStringRec cxSEditValidateErrorText{u"Invalid input value. Use escape key to abandon changes"};
const TResStringRec cxSEditValueOutOfBounds{u"Value out of bounds"};
const TResStringRec cxSEditCheckBoxChecked{u"True"};
const TResStringRec cxSEditCheckBoxGrayed{u""};
const TResStringRec cxSEditCheckBoxUnchecked{u"False"};
const TResStringRec cxSRadioGroupDefaultCaption{u""};
const TResStringRec cxSMenuItemCaptionCut{u"Cu&t"};
const TResStringRec cxSMenuItemCaptionCopy{u"&Copy"};
const TResStringRec cxSMenuItemCaptionPaste{u"&Paste"};
const TResStringRec cxSMenuItemCaptionDelete{u"&Delete"};
const TResStringRec cxSMenuItemCaptionLoad{u"&Load..."};
const TResStringRec cxSMenuItemCaptionSave{u"Save &As..."};
const TResStringRec cxSMenuItemCaptionAssignFromWebCam{u"Assign From Ca&mera..."};
const TResStringRec cxSSpinEditInvalidNumericValue{u"Invalid numeric value"};

const TResStringRec scxRegExprLine{u"Line"};
const TResStringRec scxRegExprChar{u"Char"};
const TResStringRec scxRegExprNotAssignedSourceStream{u"The source stream is not assigned"};
const TResStringRec scxRegExprEmptySourceStream{u"The source stream is empty"};
const TResStringRec scxRegExprCantUsePlusQuantifier{u"The '+' quantifier cannot be applied here"};
const TResStringRec scxRegExprCantUseStarQuantifier{u"The '*' quantifier cannot be applied here"};
const TResStringRec scxRegExprCantCreateEmptyAlt{u"The alternative should not be empty"};
const TResStringRec scxRegExprCantCreateEmptyBlock{u"The block should not be empty"};
const TResStringRec scxRegExprIllegalSymbol{u"Illegal '%s'"};
const TResStringRec scxRegExprIllegalQuantifier{u"Illegal quantifier '%s'"};
const TResStringRec scxRegExprNotSupportQuantifier{u"The parameter quantifiers are not supported"};
const TResStringRec scxRegExprIllegalIntegerValue{u"Illegal integer value"};
const TResStringRec scxRegExprTooBigReferenceNumber{u"Too big reference number"};
const TResStringRec scxRegExprCantCreateEmptyEnum{u"Can't create empty enumeration"};
const TResStringRec scxRegExprSubrangeOrder{
    u"The starting character of the subrange must be less than the finishing one"};
const TResStringRec scxRegExprHexNumberExpected0{u"Hexadecimal number expected"};
const TResStringRec scxRegExprHexNumberExpected{u"Hexadecimal number expected but '%s' found"};
const TResStringRec scxRegExprMissing{u"Missing '%s'"};
const TResStringRec scxRegExprUnnecessary{u"Unnecessary '%s'"};
const TResStringRec scxRegExprIncorrectSpace{u"The space character is not allowed after '\\'"};
const TResStringRec scxRegExprNotCompiled{u"Regular expression is not compiled"};
const TResStringRec scxRegExprIncorrectParameterQuantifier{u"Incorrect parameter quantifier"};
const TResStringRec scxRegExprCantUseParameterQuantifier{u"The parameter quantifier cannot be applied here"};
const TResStringRec scxRegExprTooComplex{u"The regular expression is too complex"};

const TResStringRec scxMaskEditRegExprError{u"Regular expression errors:"};
const TResStringRec scxMaskEditInvalidEditValue{u"The edit value is invalid"};
const TResStringRec scxMaskEditNoMask{u"None"};

const TResStringRec cxSEditButtonCancel{u"Cancel"};
const TResStringRec cxSEditButtonOK{u"OK"};
const TResStringRec cxSEditDateConvertError{u"Could not convert to date"};
const TResStringRec cxSEditNumericValueConvertError{u"Could not convert to numeric value"};
const TResStringRec cxSEditTimeConvertError{u"Could not convert to time"};
const TResStringRec cxSTextTrue{u"True"};
const TResStringRec cxSTextFalse{u"False"};
const TResStringRec cxSNoMatchesFound{u"No matches found"};
const TResStringRec cxSBlobButtonOK{u"&OK"};
const TResStringRec cxSBlobButtonCancel{u"&Cancel"};
const TResStringRec cxSBlobButtonClose{u"&Close"};
const TResStringRec cxSBlobMemo{u"(MEMO)"};
const TResStringRec cxSBlobMemoEmpty{u"(memo)"};
const TResStringRec cxSBlobPicture{u"(PICTURE)"};
const TResStringRec cxSBlobPictureEmpty{u"(picture)"};
const TResStringRec cxSDatePopupClear{u"Clear"};
const TResStringRec cxSDatePopupNow{u"Now"};
const TResStringRec cxSDatePopupOK{u"OK"};
const TResStringRec cxSDatePopupToday{u"Today"};
const TResStringRec cxSDatePopupCancel{u"Cancel"};
const TResStringRec cxSDateError{u"Invalid date"};
const TResStringRec scxSCalcError{u"Error"};
const TResStringRec scxSHyperLinkPrefix{u"http:"};
const TResStringRec scxSHyperLinkDoubleSlash{u"//"};
const TResStringRec cxNavigatorHint_First{u"First record"};
const TResStringRec cxNavigatorHint_Prior{u"Prior record"};
const TResStringRec cxNavigatorHint_PriorPage{u"Prior page"};
const TResStringRec cxNavigatorHint_Next{u"Next record"};
const TResStringRec cxNavigatorHint_NextPage{u"Next page"};
const TResStringRec cxNavigatorHint_Last{u"Last record"};
const TResStringRec cxNavigatorHint_Insert{u"Insert record"};
const TResStringRec cxNavigatorHint_Append{u"Append record"};
const TResStringRec cxNavigatorHint_Delete{u"Delete record"};
const TResStringRec cxNavigatorHint_Edit{u"Edit record"};
const TResStringRec cxNavigatorHint_Post{u"Post edit"};
const TResStringRec cxNavigatorHint_Cancel{u"Cancel edit"};
const TResStringRec cxNavigatorHint_Refresh{u"Refresh data"};
const TResStringRec cxNavigatorHint_SaveBookmark{u"Save bookmark"};
const TResStringRec cxNavigatorHint_GotoBookmark{u"Go to bookmark"};
const TResStringRec cxNavigatorHint_Filter{u"Filter data"};
const TResStringRec cxNavigator_DeleteRecordQuestion{u"Delete record?"};
const TResStringRec cxNavigatorInfoPanelDefaultDisplayMask{u"[RecordIndex] of [RecordCount]"};
const TResStringRec scxSEditRepositoryBlobItem{u"BlobEdit|Represents an editor for large binary data"};
const TResStringRec scxSEditRepositoryButtonItem{
    u"ButtonEdit|Represents a text editor with embedded buttons"};
const TResStringRec scxSEditRepositoryCalcItem{
    u"CalcEdit|Represents a text editor with a drop-down calculator"};
const TResStringRec scxSEditRepositoryCheckBoxItem{u"CheckBox|Represents a check box"};
const TResStringRec scxSEditRepositoryComboBoxItem{u"ComboBox|Represents the combo box editor"};
const TResStringRec scxSEditRepositoryCurrencyItem{u"CurrencyEdit|Represents an editor for currency values"};
const TResStringRec scxSEditRepositoryDateItem{u"DateEdit|Represents an editor with a drop-down calendar"};
const TResStringRec scxSEditRepositoryHyperLinkItem{u"HyperLink|Represents a hyperlink"};
const TResStringRec scxSEditRepositoryImageComboBoxItem{u"ImageComboBox|Represents a combo box with images"};
const TResStringRec scxSEditRepositoryImageItem{u"Image|Represents an image editor"};
const TResStringRec scxSEditRepositoryLookupComboBoxItem{u"LookupComboBox|Represents a lookup combo box"};
const TResStringRec scxSEditRepositoryMaskItem{u"MaskEdit|Represents a generic masked editor."};
const TResStringRec scxSEditRepositoryMemoItem{u"Memo|Represents a multi-line text editor"};
const TResStringRec scxSEditRepositoryMRUItem{
    u"MRUEdit|Represents a text editor listing the most recently used items"};
const TResStringRec scxSEditRepositoryPopupItem{u"PopupEdit|Represents an editor with a dropdown list"};
const TResStringRec scxSEditRepositorySpinItem{u"SpinEdit|Represents a spin editor"};
const TResStringRec scxSEditRepositoryRadioGroupItem{u"RadioGroup|Represents a group of radio buttons"};
const TResStringRec scxSEditRepositoryTextItem{u"TextEdit|Represents a single line text editor"};
const TResStringRec scxSEditRepositoryTimeItem{u"TimeEdit|Represents an editor for time values"};
const TResStringRec scxSEditRepositoryToggleSwitchItem{u"ToggleSwitch|Represents a toggle switch"};
const TResStringRec scxSEditRepositoryDateTimeWheelPickerItem{
    u"DateTimeWheelPicker|Represents a date and time picker with wheels"};
const TResStringRec scxSEditRepositorySparklineItem{u"Sparkline|Represents a sparkline"};
const TResStringRec scxSEditRepositoryLookupSparklineItem{
    u"LookupSparkline|Represents a sparkline of lookup data"};
const TResStringRec scxSEditRepositoryBarCodeItem{u"BarCode|Represents a bar code"};
const TResStringRec scxSEditRepositoryTokenItem{u"TokenEdit|Represents an editor of tokens"};
const TResStringRec scxSEditRepositoryNumericWheelPickerItem{
    u"NumericWheelPicker|Represents a number picker with wheels"};
const TResStringRec scxMaskEditIllegalFileFormat{u"Illegal file format"};
const TResStringRec scxMaskEditEmptyMaskCollectionFile{u"The mask collection file is empty"};
const TResStringRec scxMaskEditMaskCollectionFiles{u"Mask collection files"};
const TResStringRec sdxAlertWindowNavigationPanelDefaultDisplayMask{u"[MessageIndex] of [MessageCount]"};
const TResStringRec sdxAlertWindowPreviousMessage{u"Previous"};
const TResStringRec sdxAlertWindowNextMessage{u"Next"};
const TResStringRec sdxAlertWindowPin{u"Pin"};
const TResStringRec sdxAlertWindowClose{u"Close"};
const TResStringRec sdxAlertWindowDropdown{u"Show drop-down menu"};
const TResStringRec sdxBreadcrumbEditInvalidPath{u"Cannot find \"%s\". Check the spelling and try again."};
const TResStringRec sdxBreadcrumbEditInvalidStreamVersion{u"Invalid stream version: %d"};
const TResStringRec sdxColorGalleryThemeColors{u"Theme Colors"};
const TResStringRec sdxColorGalleryStandardColors{u"Standard Colors"};
const TResStringRec sdxColorDialogAddToCustomColors{u"&Add to Custom Colors"};
const TResStringRec sdxColorDialogApply{u"&OK"};
const TResStringRec sdxColorDialogCancel{u"Cancel"};
const TResStringRec sdxColorDialogDefineCustomColor{u"&Define Custom Colors >>"};
const TResStringRec sdxColorDialogBasicColors{u"&Basic colors:"};
const TResStringRec sdxColorDialogCustomColors{u"&Custom colors:"};
const TResStringRec sdxColorDialogCaption{u"Color"};
const TResStringRec scxShellBrowserDlgCaption{u"Browse for Folder"};
const TResStringRec scxShellBrowserDlgCurrentFolderCaption{u"Current Folder"};
const TResStringRec sdxColorPickerAlphaLabel{u"A:"};
const TResStringRec sdxColorPickerBlueLabel{u"B:"};
const TResStringRec sdxColorPickerGreenLabel{u"G:"};
const TResStringRec sdxColorPickerHexCodeLabel{u"Hex:"};
const TResStringRec sdxColorPickerHueLabel{u"H:"};
const TResStringRec sdxColorPickerLightnessLabel{u"L:"};
const TResStringRec sdxColorPickerRedLabel{u"R:"};
const TResStringRec sdxColorPickerSaturationLabel{u"S:"};
const TResStringRec sdxCameraDialogAssign{u"&Assign"};
const TResStringRec sdxCameraDialogCancel{u"&Cancel"};
const TResStringRec sdxCameraDialogPause{u"&Pause"};
const TResStringRec sdxCameraDialogPlay{u"&Play"};
const TResStringRec sdxCameraDialogCaption{u"Camera Preview"};
const TResStringRec sdxCameraInactive{u"Inactive"};
const TResStringRec sdxCameraRunning{u"Running"};
const TResStringRec sdxCameraPaused{u"Paused"};
const TResStringRec sdxCameraNotDetected{u"No camera detected"};
const TResStringRec sdxCameraInitializing{u"Initializing..."};
const TResStringRec sdxCameraIsBusy{
    u"Camera is inaccessible.\r\nTry closing other programs that might be using your camera"};
const TResStringRec sdxCameraControlSettingsFormSettings{u"Settings"};
const TResStringRec sdxCameraControlSettingsFormDevice{u"Device"};
const TResStringRec sdxCameraControlSettingsFormDevices{u"Devices"};
const TResStringRec sdxCameraControlSettingsFormResolution{u"Resolution"};
const TResStringRec sdxCameraControlSettingsFormResolutions{u"Resolutions"};
const TResStringRec sdxDefaultToggleSwitchOffText{u"Off"};
const TResStringRec sdxDefaultToggleSwitchOnText{u"On"};
const TResStringRec sdxDateTimeWheelPickerHours{u"h"};
const TResStringRec sdxDateTimeWheelPickerMinutes{u"min"};
const TResStringRec sdxDateTimeWheelPickerSeconds{u"s"};
const TResStringRec sdxSparklineNoData{u"No data"};
const TResStringRec sdxBarCodeInvalidCharactersError{u"Invalid characters in the text"};
const TResStringRec sdxBarCodeInvalidTextFormatError{u"Invalid text format"};
const TResStringRec sdxBarCodeControlTooNarrowError{u"The control is too narrow to fit the bar code"};
const TResStringRec sdxTokenEditMoreTokensCaption{u"+%d"};
const TResStringRec sdxTokenEditMoreTokensHint{u"%d more"};
const TResStringRec sdxRangeControlRangeIsEmpty{u"The range is empty"};
const TResStringRec sdxExcelFilterFromValueText{u"From"};
const TResStringRec sdxExcelFilterToValueText{u"To"};
const TResStringRec sdxExcelFilterTopNBottomNValueLabel{u"Value"};
const TResStringRec sdxExcelFilterTopNBottomNTypeLabel{u"Type"};
const TResStringRec sdxExcelFilterCustomFilterAndOperatorLabel{u"And"};
const TResStringRec sdxExcelFilterCustomFilterOrOperatorLabel{u"Or"};
const TResStringRec sdxExcelFilterCustomFilterFirstConditionLabel{u"First condition"};
const TResStringRec sdxExcelFilterCustomFilterSecondConditionLabel{u"Second condition"};
const TResStringRec sdxExcelFilterValuesTabCaption{u"Values"};
const TResStringRec sdxExcelFilterDateFiltersTabCaption{u"Date Filters"};
const TResStringRec sdxExcelFilterTextFiltersTabCaption{u"Text Filters"};
const TResStringRec sdxExcelFilterTimeFiltersTabCaption{u"Time Filters"};
const TResStringRec sdxExcelFilterNumericFiltersTabCaption{u"Numeric Filters"};
const TResStringRec sdxExcelFilterSelectValueHintText{u"Select a value"};
const TResStringRec sdxExcelFilterSelectDateHintText{u"Select a date"};
const TResStringRec sdxExcelFilterEnterValueHintText{u"Enter a value"};
const TResStringRec sdxExcelFilterSpecificDatePeriodsConditionText{u"Specific Date Periods"};
const TResStringRec sdxExcelFilterEqualsConditionText{u"Equals"};
const TResStringRec sdxExcelFilterDoesNotEqualConditionText{u"Does Not Equal"};
const TResStringRec sdxExcelFilterBeginsWithConditionText{u"Begins With"};
const TResStringRec sdxExcelFilterEndsWithConditionText{u"Ends With"};
const TResStringRec sdxExcelFilterContainsConditionText{u"Contains"};
const TResStringRec sdxExcelFilterDoesNotContainConditionText{u"Does Not Contain"};
const TResStringRec sdxExcelFilterIsBlankConditionText{u"Is Blank"};
const TResStringRec sdxExcelFilterIsNotBlankConditionText{u"Is Not Blank"};
const TResStringRec sdxExcelFilterBetweenConditionText{u"Between"};
const TResStringRec sdxExcelFilterGreaterThanConditionText{u"Greater Than"};
const TResStringRec sdxExcelFilterGreaterThanOrEqualToConditionText{u"Greater Than Or Equal To"};
const TResStringRec sdxExcelFilterLessThanConditionText{u"Less Than"};
const TResStringRec sdxExcelFilterLessEqualThanOrEqualToConditionText{u"Less Than Or Equal To"};
const TResStringRec sdxExcelFilterTopNConditionText{u"Top N"};
const TResStringRec sdxExcelFilterBottomNConditionText{u"Bottom N"};
const TResStringRec sdxExcelFilterAboveAverageConditionText{u"Above Average"};
const TResStringRec sdxExcelFilterBelowAverageConditionText{u"Below Average"};
const TResStringRec sdxExcelFilterBeforeConditionText{u"Before"};
const TResStringRec sdxExcelFilterAfterConditionText{u"After"};
const TResStringRec sdxExcelFilterYesterdayConditionText{u"Yesterday"};
const TResStringRec sdxExcelFilterTodayConditionTypeText{u"Today"};
const TResStringRec sdxExcelFilterTomorrowConditionText{u"Tomorrow"};
const TResStringRec sdxExcelFilterLastWeekConditionText{u"Last Week"};
const TResStringRec sdxExcelFilterThisWeekConditionText{u"This Week"};
const TResStringRec sdxExcelFilterNextWeekConditionText{u"Next Week"};
const TResStringRec sdxExcelFilterLastMonthConditionText{u"Last Month"};
const TResStringRec sdxExcelFilterThisMonthConditionText{u"This Month"};
const TResStringRec sdxExcelFilterNextMonthConditionText{u"Next Month"};
const TResStringRec sdxExcelFilterLastYearConditionText{u"Last Year"};
const TResStringRec sdxExcelFilterThisYearConditionText{u"This Year"};
const TResStringRec sdxExcelFilterNextYearConditionText{u"Next Year"};
const TResStringRec sdxExcelFilterCustomFilterConditionText{u"Custom Filter"};
const TResStringRec sdxExcelFilterTopNBottomNItemsText{u"Items"};
const TResStringRec sdxExcelFilterTopNBottomNPercentText{u"Percent"};
const TResStringRec sdxFilterPopupWindowClearButtonCaption{u"Clear Filter"};
const TResStringRec sdxFilterPopupWindowCloseButtonCaption{u"Close"};
const TResStringRec sdxFilterPopupWindowCancelButtonCaption{u"Cancel"};
const TResStringRec sdxFilterPopupWindowOKButtonCaption{u"OK"};
const TResStringRec scxSEditRepositoryColorComboBoxItem{
    u"ColorComboBox|Represents a combo box to allow selection of a color"};
const TResStringRec scxSEditRepositoryColorEditItem{u"ColorEdit|Represents an editor for colors"};
const TResStringRec scxSEditRepositoryFontNameComboBoxItem{
    u"FontNameComboBox|Represents a combo box to allow selection of a font"};
const TResStringRec scxSEditRepositoryLabelItem{u"Label|Represents a label"};
const TResStringRec scxSEditRepositoryProgressBarItem{u"ProgressBar|Represents a progress bar"};
const TResStringRec scxSEditRepositoryTrackBarItem{u"TrackBar|Represents a track bar"};
const TResStringRec scxSEditRepositoryRangeTrackBarItem{u"RangeTrackBar|Represents a track bar with a range"};
const TResStringRec scxSEditRepositorySpinButtonItem{u"SpinButton|Represents a spin button"};
const TResStringRec scxSEditRepositoryCheckComboBox{u"CheckComboBox|Represents a combo box with check boxes"};
const TResStringRec scxSEditRepositoryShellComboBoxItem{
    u"ShellComboBox|Represents a combo box of shell folders"};
const TResStringRec scxSEditRepositoryCheckGroupItem{u"CheckGroup|Represents a group of check boxes"};
const TResStringRec scxSEditRepositoryRatingControlItem{u"RatingControl|Represents a rating control"};
const TResStringRec scxUDAssociated{u" is already associated with "};
const TResStringRec scxHotZoneStyleMediaPlayer9{u"MediaPlayer9"};
const TResStringRec scxHotZoneStyleMediaPlayer8{u"MediaPlayer8"};
const TResStringRec scxHotZoneStyleXPTaskBar{u"XPTaskBar"};
const TResStringRec scxHotZoneStyleSimple{u"Simple"};
const TResStringRec scxLoadingFonts{u"Loading fonts..."};
const TResStringRec cxSEditCheckGroupCaptionStateDelimiter{u": "};
const TResStringRec cxSEditCheckGroupFilterColumnSeparator{u"; "};
const TResStringRec cxSEditCheckGroupChecked{u"Checked"};
const TResStringRec cxSEditCheckGroupGrayed{u"Grayed"};
const TResStringRec cxSEditCheckGroupUnchecked{u"Unchecked"};
const TResStringRec cxSCheckComboBoxStatesItemsPropertyDlgCaption{u"Edit items of the check combo box"};
const TResStringRec cxSCheckControlIncorrectItemCount{
    u"The number of items must not be greater than 64 when the edit value format is cvfInteger"};
const TResStringRec cxSCheckGroupStatesItemsPropertyDlgCaption{u"Edit items of the check group"};
const TResStringRec cxSCheckComboBoxEmptySelectionText{u"None selected"};
const TResStringRec cxSColorComboBoxDefaultDescription{u"Color not selected"};
const TResStringRec cxSEditRichEditLibraryError{u"Cannot load the rich edit library"};
const TResStringRec cxSEditRichEditLineInsertionError{u"Error inserting a line"};
const TResStringRec cxSEditRichEditLoadFail{u"Failed to load the stream"};
const TResStringRec cxSEditRichEditSaveFail{u"Failed to save the stream"};
const TResStringRec cxSEditRichEditSelectionSaveFail{u"Failed to save the selection"};
const TResStringRec cxSEditRichEditOleInterfaceFail{u"Failed to get the OLE interface"};
const TResStringRec cxSEditRichEditCallBackFail{u"Failed to set the callback"};
const TResStringRec cxSEditRichEditLinkFail{u"Failed to make the link"};
const TResStringRec scxSEditRepositoryRichEditItem{u"RichEdit|Represents a rich text editor"};
const TResStringRec cxSEditRichEditUndoCaption{u"&Undo"};
const TResStringRec cxSEditRichEditRedoCaption{u"&Redo"};
const TResStringRec cxSEditRichEditCutCaption{u"Cu&t"};
const TResStringRec cxSEditRichEditCopyCaption{u"&Copy"};
const TResStringRec cxSEditRichEditPasteCaption{u"&Paste"};
const TResStringRec cxSEditRichEditDeleteCaption{u"&Delete"};
const TResStringRec cxSEditRichEditSelectAllCaption{u"Select &All"};
const TResStringRec cxSFilterBoolOperatorAnd{u"AND"};
const TResStringRec cxSFilterBoolOperatorOr{u"OR"};
const TResStringRec cxSFilterBoolOperatorNotAnd{u"NOT AND"};
const TResStringRec cxSFilterBoolOperatorNotOr{u"NOT OR"};
const TResStringRec cxSFilterRootButtonCaption{u"Filter"};
const TResStringRec cxSFilterAddCondition{u"Add &Condition"};
const TResStringRec cxSFilterAddGroup{u"Add &Group"};
const TResStringRec cxSFilterRemoveRow{u"&Remove Row"};
const TResStringRec cxSFilterClearAll{u"Clear &All"};
const TResStringRec cxSFilterFooterAddCondition{u"press the button to add a new condition"};
const TResStringRec cxSFilterGroupCaption{u"applies to the following conditions"};
const TResStringRec cxSFilterRootGroupCaption{u"<root>"};
const TResStringRec cxSFilterControlNullString{u"<empty>"};
const TResStringRec cxSFilterErrorBuilding{u"Can't build filter from source"};
const TResStringRec cxSFilterDialogCaption{u"Custom Filter"};
const TResStringRec cxSFilterDialogInvalidValue{u"Invalid value"};
const TResStringRec cxSFilterDialogUse{u"Use"};
const TResStringRec cxSFilterDialogSingleCharacter{u"to represent any single character"};
const TResStringRec cxSFilterDialogCharactersSeries{u"to represent any series of characters"};
const TResStringRec cxSFilterDialogOperationAnd{u"AND"};
const TResStringRec cxSFilterDialogOperationOr{u"OR"};
const TResStringRec cxSFilterDialogRows{u"Show rows where:"};
const TResStringRec cxSFilterControlDialogCaption{u"Filter builder"};
const TResStringRec cxSFilterControlDialogNewFile{u"untitled.flt"};
const TResStringRec cxSFilterControlDialogOpenDialogCaption{u"Open an existing filter"};
const TResStringRec cxSFilterControlDialogSaveDialogCaption{u"Save the active filter to file"};
const TResStringRec cxSFilterControlDialogActionSaveCaption{u"&Save As..."};
const TResStringRec cxSFilterControlDialogActionSaveHint{u"Save As|Saves the active filter with a new name"};
const TResStringRec cxSFilterControlDialogActionOpenCaption{u"&Open..."};
const TResStringRec cxSFilterControlDialogActionOpenHint{u"Open|Opens an existing filter"};
const TResStringRec cxSFilterControlDialogActionApplyCaption{u"&Apply"};
const TResStringRec cxSFilterControlDialogActionOkCaption{u"OK"};
const TResStringRec cxSFilterControlDialogActionCancelCaption{u"Cancel"};
const TResStringRec cxSFilterControlDialogFileExt{u"flt"};
const TResStringRec cxSFilterControlDialogFileFilter{u"Filters (*.flt)|*.flt"};

namespace {
const Char* const kEditConstsProduct = u"BrisvaneEditors Library";
const Char* const kExtEditConstsProduct = u"BrisvaneEditorsEx Library";
const Char* const kFilterConstsProduct = u"BrisvaneFilterControl";

struct TEditConstsName {
  const Char* Name;
  const TResStringRec* ResString;
};

template <size_t N>
void AddEditConstsNames(TdxProductResourceStrings* AProduct, const TEditConstsName (&ANames)[N]) {
  for (const TEditConstsName& n : ANames) AProduct->Add(n.Name, n.ResString);
}
}  // namespace

void AddEditorsResourceStringNames(TdxProductResourceStrings* AProduct) {
  static const TEditConstsName kNames[] = {
      {u"cxSEditButtonCancel", &cxSEditButtonCancel},
      {u"cxSEditButtonOK", &cxSEditButtonOK},
      {u"cxSEditDateConvertError", &cxSEditDateConvertError},
      {u"cxSEditInvalidRepositoryItem", &cxSEditInvalidRepositoryItem},
      {u"cxSEditNumericValueConvertError", &cxSEditNumericValueConvertError},
      {u"cxSEditPopupCircularReferencingError", &cxSEditPopupCircularReferencingError},
      {u"cxSEditPostError", &cxSEditPostError},
      {u"cxSEditTimeConvertError", &cxSEditTimeConvertError},
      {u"cxSEditValidateErrorText", &cxSEditValidateErrorText},
      {u"cxSEditValueOutOfBounds", &cxSEditValueOutOfBounds},
      {u"cxSEditCheckBoxChecked", &cxSEditCheckBoxChecked},
      {u"cxSEditCheckBoxGrayed", &cxSEditCheckBoxGrayed},
      {u"cxSEditCheckBoxUnchecked", &cxSEditCheckBoxUnchecked},
      {u"cxSRadioGroupDefaultCaption", &cxSRadioGroupDefaultCaption},
      {u"cxSTextTrue", &cxSTextTrue},
      {u"cxSTextFalse", &cxSTextFalse},
      {u"cxSNoMatchesFound", &cxSNoMatchesFound},
      {u"cxSBlobButtonOK", &cxSBlobButtonOK},
      {u"cxSBlobButtonCancel", &cxSBlobButtonCancel},
      {u"cxSBlobButtonClose", &cxSBlobButtonClose},
      {u"cxSBlobMemo", &cxSBlobMemo},
      {u"cxSBlobMemoEmpty", &cxSBlobMemoEmpty},
      {u"cxSBlobPicture", &cxSBlobPicture},
      {u"cxSBlobPictureEmpty", &cxSBlobPictureEmpty},
      {u"cxSMenuItemCaptionCut", &cxSMenuItemCaptionCut},
      {u"cxSMenuItemCaptionCopy", &cxSMenuItemCaptionCopy},
      {u"cxSMenuItemCaptionPaste", &cxSMenuItemCaptionPaste},
      {u"cxSMenuItemCaptionDelete", &cxSMenuItemCaptionDelete},
      {u"cxSMenuItemCaptionLoad", &cxSMenuItemCaptionLoad},
      {u"cxSMenuItemCaptionSave", &cxSMenuItemCaptionSave},
      {u"cxSMenuItemCaptionAssignFromWebCam", &cxSMenuItemCaptionAssignFromWebCam},
      {u"cxSDatePopupClear", &cxSDatePopupClear},
      {u"cxSDatePopupNow", &cxSDatePopupNow},
      {u"cxSDatePopupOK", &cxSDatePopupOK},
      {u"cxSDatePopupToday", &cxSDatePopupToday},
      {u"cxSDatePopupCancel", &cxSDatePopupCancel},
      {u"cxSDateError", &cxSDateError},
      {u"scxSCalcError", &scxSCalcError},
      {u"scxSHyperLinkPrefix", &scxSHyperLinkPrefix},
      {u"scxSHyperLinkDoubleSlash", &scxSHyperLinkDoubleSlash},
      {u"cxNavigatorHint_First", &cxNavigatorHint_First},
      {u"cxNavigatorHint_Prior", &cxNavigatorHint_Prior},
      {u"cxNavigatorHint_PriorPage", &cxNavigatorHint_PriorPage},
      {u"cxNavigatorHint_Next", &cxNavigatorHint_Next},
      {u"cxNavigatorHint_NextPage", &cxNavigatorHint_NextPage},
      {u"cxNavigatorHint_Last", &cxNavigatorHint_Last},
      {u"cxNavigatorHint_Insert", &cxNavigatorHint_Insert},
      {u"cxNavigatorHint_Append", &cxNavigatorHint_Append},
      {u"cxNavigatorHint_Delete", &cxNavigatorHint_Delete},
      {u"cxNavigatorHint_Edit", &cxNavigatorHint_Edit},
      {u"cxNavigatorHint_Post", &cxNavigatorHint_Post},
      {u"cxNavigatorHint_Cancel", &cxNavigatorHint_Cancel},
      {u"cxNavigatorHint_Refresh", &cxNavigatorHint_Refresh},
      {u"cxNavigatorHint_SaveBookmark", &cxNavigatorHint_SaveBookmark},
      {u"cxNavigatorHint_GotoBookmark", &cxNavigatorHint_GotoBookmark},
      {u"cxNavigatorHint_Filter", &cxNavigatorHint_Filter},
      {u"cxNavigator_DeleteRecordQuestion", &cxNavigator_DeleteRecordQuestion},
      {u"cxNavigatorInfoPanelDefaultDisplayMask", &cxNavigatorInfoPanelDefaultDisplayMask},
      {u"scxSEditRepositoryBlobItem", &scxSEditRepositoryBlobItem},
      {u"scxSEditRepositoryButtonItem", &scxSEditRepositoryButtonItem},
      {u"scxSEditRepositoryCalcItem", &scxSEditRepositoryCalcItem},
      {u"scxSEditRepositoryCheckBoxItem", &scxSEditRepositoryCheckBoxItem},
      {u"scxSEditRepositoryComboBoxItem", &scxSEditRepositoryComboBoxItem},
      {u"scxSEditRepositoryCurrencyItem", &scxSEditRepositoryCurrencyItem},
      {u"scxSEditRepositoryDateItem", &scxSEditRepositoryDateItem},
      {u"scxSEditRepositoryHyperLinkItem", &scxSEditRepositoryHyperLinkItem},
      {u"scxSEditRepositoryImageComboBoxItem", &scxSEditRepositoryImageComboBoxItem},
      {u"scxSEditRepositoryImageItem", &scxSEditRepositoryImageItem},
      {u"scxSEditRepositoryLookupComboBoxItem", &scxSEditRepositoryLookupComboBoxItem},
      {u"scxSEditRepositoryMaskItem", &scxSEditRepositoryMaskItem},
      {u"scxSEditRepositoryMemoItem", &scxSEditRepositoryMemoItem},
      {u"scxSEditRepositoryMRUItem", &scxSEditRepositoryMRUItem},
      {u"scxSEditRepositoryPopupItem", &scxSEditRepositoryPopupItem},
      {u"scxSEditRepositorySpinItem", &scxSEditRepositorySpinItem},
      {u"scxSEditRepositoryRadioGroupItem", &scxSEditRepositoryRadioGroupItem},
      {u"scxSEditRepositoryTextItem", &scxSEditRepositoryTextItem},
      {u"scxSEditRepositoryTimeItem", &scxSEditRepositoryTimeItem},
      {u"scxSEditRepositoryToggleSwitchItem", &scxSEditRepositoryToggleSwitchItem},
      {u"scxSEditRepositoryDateTimeWheelPickerItem", &scxSEditRepositoryDateTimeWheelPickerItem},
      {u"scxSEditRepositorySparklineItem", &scxSEditRepositorySparklineItem},
      {u"scxSEditRepositoryLookupSparklineItem", &scxSEditRepositoryLookupSparklineItem},
      {u"scxSEditRepositoryBarCodeItem", &scxSEditRepositoryBarCodeItem},
      {u"scxSEditRepositoryTokenItem", &scxSEditRepositoryTokenItem},
      {u"scxSEditRepositoryNumericWheelPickerItem", &scxSEditRepositoryNumericWheelPickerItem},
      {u"scxRegExprLine", &scxRegExprLine},
      {u"scxRegExprChar", &scxRegExprChar},
      {u"scxRegExprNotAssignedSourceStream", &scxRegExprNotAssignedSourceStream},
      {u"scxRegExprEmptySourceStream", &scxRegExprEmptySourceStream},
      {u"scxRegExprCantUsePlusQuantifier", &scxRegExprCantUsePlusQuantifier},
      {u"scxRegExprCantUseStarQuantifier", &scxRegExprCantUseStarQuantifier},
      {u"scxRegExprCantCreateEmptyAlt", &scxRegExprCantCreateEmptyAlt},
      {u"scxRegExprCantCreateEmptyBlock", &scxRegExprCantCreateEmptyBlock},
      {u"scxRegExprIllegalSymbol", &scxRegExprIllegalSymbol},
      {u"scxRegExprIllegalQuantifier", &scxRegExprIllegalQuantifier},
      {u"scxRegExprNotSupportQuantifier", &scxRegExprNotSupportQuantifier},
      {u"scxRegExprIllegalIntegerValue", &scxRegExprIllegalIntegerValue},
      {u"scxRegExprTooBigReferenceNumber", &scxRegExprTooBigReferenceNumber},
      {u"scxRegExprCantCreateEmptyEnum", &scxRegExprCantCreateEmptyEnum},
      {u"scxRegExprSubrangeOrder", &scxRegExprSubrangeOrder},
      {u"scxRegExprHexNumberExpected0", &scxRegExprHexNumberExpected0},
      {u"scxRegExprHexNumberExpected", &scxRegExprHexNumberExpected},
      {u"scxRegExprMissing", &scxRegExprMissing},
      {u"scxRegExprUnnecessary", &scxRegExprUnnecessary},
      {u"scxRegExprIncorrectSpace", &scxRegExprIncorrectSpace},
      {u"scxRegExprNotCompiled", &scxRegExprNotCompiled},
      {u"scxRegExprIncorrectParameterQuantifier", &scxRegExprIncorrectParameterQuantifier},
      {u"scxRegExprCantUseParameterQuantifier", &scxRegExprCantUseParameterQuantifier},
      {u"scxMaskEditRegExprError", &scxMaskEditRegExprError},
      {u"scxMaskEditInvalidEditValue", &scxMaskEditInvalidEditValue},
      {u"scxMaskEditNoMask", &scxMaskEditNoMask},
      {u"scxMaskEditIllegalFileFormat", &scxMaskEditIllegalFileFormat},
      {u"scxMaskEditEmptyMaskCollectionFile", &scxMaskEditEmptyMaskCollectionFile},
      {u"scxMaskEditMaskCollectionFiles", &scxMaskEditMaskCollectionFiles},
      {u"cxSSpinEditInvalidNumericValue", &cxSSpinEditInvalidNumericValue},
      {u"sdxAlertWindowNavigationPanelDefaultDisplayMask", &sdxAlertWindowNavigationPanelDefaultDisplayMask},
      {u"sdxAlertWindowPreviousMessage", &sdxAlertWindowPreviousMessage},
      {u"sdxAlertWindowNextMessage", &sdxAlertWindowNextMessage},
      {u"sdxAlertWindowPin", &sdxAlertWindowPin},
      {u"sdxAlertWindowClose", &sdxAlertWindowClose},
      {u"sdxAlertWindowDropdown", &sdxAlertWindowDropdown},
      {u"sdxBreadcrumbEditInvalidPath", &sdxBreadcrumbEditInvalidPath},
      {u"sdxBreadcrumbEditInvalidStreamVersion", &sdxBreadcrumbEditInvalidStreamVersion},
      {u"sdxColorGalleryThemeColors", &sdxColorGalleryThemeColors},
      {u"sdxColorGalleryStandardColors", &sdxColorGalleryStandardColors},
      {u"sdxColorDialogAddToCustomColors", &sdxColorDialogAddToCustomColors},
      {u"sdxColorDialogApply", &sdxColorDialogApply},
      {u"sdxColorDialogCancel", &sdxColorDialogCancel},
      {u"sdxColorDialogDefineCustomColor", &sdxColorDialogDefineCustomColor},
      {u"sdxColorDialogBasicColors", &sdxColorDialogBasicColors},
      {u"sdxColorDialogCustomColors", &sdxColorDialogCustomColors},
      {u"sdxColorDialogCaption", &sdxColorDialogCaption},
      {u"scxShellBrowserDlgCaption", &scxShellBrowserDlgCaption},
      {u"scxShellBrowserDlgCurrentFolderCaption", &scxShellBrowserDlgCurrentFolderCaption},
      {u"sdxColorPickerAlphaLabel", &sdxColorPickerAlphaLabel},
      {u"sdxColorPickerBlueLabel", &sdxColorPickerBlueLabel},
      {u"sdxColorPickerGreenLabel", &sdxColorPickerGreenLabel},
      {u"sdxColorPickerHexCodeLabel", &sdxColorPickerHexCodeLabel},
      {u"sdxColorPickerHueLabel", &sdxColorPickerHueLabel},
      {u"sdxColorPickerLightnessLabel", &sdxColorPickerLightnessLabel},
      {u"sdxColorPickerRedLabel", &sdxColorPickerRedLabel},
      {u"sdxColorPickerSaturationLabel", &sdxColorPickerSaturationLabel},
      {u"sdxCameraDialogAssign", &sdxCameraDialogAssign},
      {u"sdxCameraDialogCancel", &sdxCameraDialogCancel},
      {u"sdxCameraDialogPause", &sdxCameraDialogPause},
      {u"sdxCameraDialogPlay", &sdxCameraDialogPlay},
      {u"sdxCameraDialogCaption", &sdxCameraDialogCaption},
      {u"sdxCameraInactive", &sdxCameraInactive},
      {u"sdxCameraRunning", &sdxCameraRunning},
      {u"sdxCameraPaused", &sdxCameraPaused},
      {u"sdxCameraNotDetected", &sdxCameraNotDetected},
      {u"sdxCameraInitializing", &sdxCameraInitializing},
      {u"sdxCameraIsBusy", &sdxCameraIsBusy},
      {u"sdxCameraControlSettingsFormSettings", &sdxCameraControlSettingsFormSettings},
      {u"sdxCameraControlSettingsFormDevice", &sdxCameraControlSettingsFormDevice},
      {u"sdxCameraControlSettingsFormDevices", &sdxCameraControlSettingsFormDevices},
      {u"sdxCameraControlSettingsFormResolution", &sdxCameraControlSettingsFormResolution},
      {u"sdxCameraControlSettingsFormResolutions", &sdxCameraControlSettingsFormResolutions},
      {u"sdxDefaultToggleSwitchOffText", &sdxDefaultToggleSwitchOffText},
      {u"sdxDefaultToggleSwitchOnText", &sdxDefaultToggleSwitchOnText},
      {u"sdxDateTimeWheelPickerHours", &sdxDateTimeWheelPickerHours},
      {u"sdxDateTimeWheelPickerMinutes", &sdxDateTimeWheelPickerMinutes},
      {u"sdxDateTimeWheelPickerSeconds", &sdxDateTimeWheelPickerSeconds},
      {u"sdxSparklineNoData", &sdxSparklineNoData},
      {u"sdxBarCodeInvalidCharactersError", &sdxBarCodeInvalidCharactersError},
      {u"sdxBarCodeInvalidTextFormatError", &sdxBarCodeInvalidTextFormatError},
      {u"sdxBarCodeControlTooNarrowError", &sdxBarCodeControlTooNarrowError},
      {u"sdxTokenEditMoreTokensCaption", &sdxTokenEditMoreTokensCaption},
      {u"sdxTokenEditMoreTokensHint", &sdxTokenEditMoreTokensHint},
      {u"sdxRangeControlRangeIsEmpty", &sdxRangeControlRangeIsEmpty},
      {u"sdxExcelFilterFromValueText", &sdxExcelFilterFromValueText},
      {u"sdxExcelFilterToValueText", &sdxExcelFilterToValueText},
      {u"sdxExcelFilterTopNBottomNValueLabel", &sdxExcelFilterTopNBottomNValueLabel},
      {u"sdxExcelFilterTopNBottomNTypeLabel", &sdxExcelFilterTopNBottomNTypeLabel},
      {u"sdxExcelFilterCustomFilterAndOperatorLabel", &sdxExcelFilterCustomFilterAndOperatorLabel},
      {u"sdxExcelFilterCustomFilterOrOperatorLabel", &sdxExcelFilterCustomFilterOrOperatorLabel},
      {u"sdxExcelFilterCustomFilterFirstConditionLabel", &sdxExcelFilterCustomFilterFirstConditionLabel},
      {u"sdxExcelFilterCustomFilterSecondConditionLabel", &sdxExcelFilterCustomFilterSecondConditionLabel},
      {u"sdxExcelFilterValuesTabCaption", &sdxExcelFilterValuesTabCaption},
      {u"sdxExcelFilterDateFiltersTabCaption", &sdxExcelFilterDateFiltersTabCaption},
      {u"sdxExcelFilterTextFiltersTabCaption", &sdxExcelFilterTextFiltersTabCaption},
      {u"sdxExcelFilterTimeFiltersTabCaption", &sdxExcelFilterTimeFiltersTabCaption},
      {u"sdxExcelFilterNumericFiltersTabCaption", &sdxExcelFilterNumericFiltersTabCaption},
      {u"sdxExcelFilterSelectValueHintText", &sdxExcelFilterSelectValueHintText},
      {u"sdxExcelFilterSelectDateHintText", &sdxExcelFilterSelectDateHintText},
      {u"sdxExcelFilterEnterValueHintText", &sdxExcelFilterEnterValueHintText},
      {u"sdxExcelFilterSpecificDatePeriodsConditionText", &sdxExcelFilterSpecificDatePeriodsConditionText},
      {u"sdxExcelFilterEqualsConditionText", &sdxExcelFilterEqualsConditionText},
      {u"sdxExcelFilterDoesNotEqualConditionText", &sdxExcelFilterDoesNotEqualConditionText},
      {u"sdxExcelFilterBeginsWithConditionText", &sdxExcelFilterBeginsWithConditionText},
      {u"sdxExcelFilterEndsWithConditionText", &sdxExcelFilterEndsWithConditionText},
      {u"sdxExcelFilterContainsConditionText", &sdxExcelFilterContainsConditionText},
      {u"sdxExcelFilterDoesNotContainConditionText", &sdxExcelFilterDoesNotContainConditionText},
      {u"sdxExcelFilterIsBlankConditionText", &sdxExcelFilterIsBlankConditionText},
      {u"sdxExcelFilterIsNotBlankConditionText", &sdxExcelFilterIsNotBlankConditionText},
      {u"sdxExcelFilterBetweenConditionText", &sdxExcelFilterBetweenConditionText},
      {u"sdxExcelFilterGreaterThanConditionText", &sdxExcelFilterGreaterThanConditionText},
      {u"sdxExcelFilterGreaterThanOrEqualToConditionText", &sdxExcelFilterGreaterThanOrEqualToConditionText},
      {u"sdxExcelFilterLessThanConditionText", &sdxExcelFilterLessThanConditionText},
      {u"sdxExcelFilterLessEqualThanOrEqualToConditionText",
       &sdxExcelFilterLessEqualThanOrEqualToConditionText},
      {u"sdxExcelFilterTopNConditionText", &sdxExcelFilterTopNConditionText},
      {u"sdxExcelFilterBottomNConditionText", &sdxExcelFilterBottomNConditionText},
      {u"sdxExcelFilterAboveAverageConditionText", &sdxExcelFilterAboveAverageConditionText},
      {u"sdxExcelFilterBelowAverageConditionText", &sdxExcelFilterBelowAverageConditionText},
      {u"sdxExcelFilterBeforeConditionText", &sdxExcelFilterBeforeConditionText},
      {u"sdxExcelFilterAfterConditionText", &sdxExcelFilterAfterConditionText},
      {u"sdxExcelFilterYesterdayConditionText", &sdxExcelFilterYesterdayConditionText},
      {u"sdxExcelFilterTodayConditionTypeText", &sdxExcelFilterTodayConditionTypeText},
      {u"sdxExcelFilterTomorrowConditionText", &sdxExcelFilterTomorrowConditionText},
      {u"sdxExcelFilterLastWeekConditionText", &sdxExcelFilterLastWeekConditionText},
      {u"sdxExcelFilterThisWeekConditionText", &sdxExcelFilterThisWeekConditionText},
      {u"sdxExcelFilterNextWeekConditionText", &sdxExcelFilterNextWeekConditionText},
      {u"sdxExcelFilterLastMonthConditionText", &sdxExcelFilterLastMonthConditionText},
      {u"sdxExcelFilterThisMonthConditionText", &sdxExcelFilterThisMonthConditionText},
      {u"sdxExcelFilterNextMonthConditionText", &sdxExcelFilterNextMonthConditionText},
      {u"sdxExcelFilterLastYearConditionText", &sdxExcelFilterLastYearConditionText},
      {u"sdxExcelFilterThisYearConditionText", &sdxExcelFilterThisYearConditionText},
      {u"sdxExcelFilterNextYearConditionText", &sdxExcelFilterNextYearConditionText},
      {u"sdxExcelFilterCustomFilterConditionText", &sdxExcelFilterCustomFilterConditionText},
      {u"sdxExcelFilterTopNBottomNItemsText", &sdxExcelFilterTopNBottomNItemsText},
      {u"sdxExcelFilterTopNBottomNPercentText", &sdxExcelFilterTopNBottomNPercentText},
      {u"sdxFilterPopupWindowClearButtonCaption", &sdxFilterPopupWindowClearButtonCaption},
      {u"sdxFilterPopupWindowCloseButtonCaption", &sdxFilterPopupWindowCloseButtonCaption},
      {u"sdxFilterPopupWindowCancelButtonCaption", &sdxFilterPopupWindowCancelButtonCaption},
      {u"sdxFilterPopupWindowOKButtonCaption", &sdxFilterPopupWindowOKButtonCaption},
  };
  AddEditConstsNames(AProduct, kNames);
}

void AddcxExtEditResourceStringNames(TdxProductResourceStrings* AProduct) {
  static const TEditConstsName kNames[] = {
      {u"scxSEditRepositoryColorComboBoxItem", &scxSEditRepositoryColorComboBoxItem},
      {u"scxSEditRepositoryColorEditItem", &scxSEditRepositoryColorEditItem},
      {u"scxSEditRepositoryFontNameComboBoxItem", &scxSEditRepositoryFontNameComboBoxItem},
      {u"scxSEditRepositoryLabelItem", &scxSEditRepositoryLabelItem},
      {u"scxSEditRepositoryProgressBarItem", &scxSEditRepositoryProgressBarItem},
      {u"scxSEditRepositoryTrackBarItem", &scxSEditRepositoryTrackBarItem},
      {u"scxSEditRepositoryRangeTrackBarItem", &scxSEditRepositoryRangeTrackBarItem},
      {u"scxSEditRepositorySpinButtonItem", &scxSEditRepositorySpinButtonItem},
      {u"scxSEditRepositoryCheckComboBox", &scxSEditRepositoryCheckComboBox},
      {u"scxSEditRepositoryShellComboBoxItem", &scxSEditRepositoryShellComboBoxItem},
      {u"scxSEditRepositoryCheckGroupItem", &scxSEditRepositoryCheckGroupItem},
      {u"scxSEditRepositoryRatingControlItem", &scxSEditRepositoryRatingControlItem},
      {u"scxUDAssociated", &scxUDAssociated},
      {u"scxHotZoneStyleMediaPlayer9", &scxHotZoneStyleMediaPlayer9},
      {u"scxHotZoneStyleMediaPlayer8", &scxHotZoneStyleMediaPlayer8},
      {u"scxHotZoneStyleXPTaskBar", &scxHotZoneStyleXPTaskBar},
      {u"scxHotZoneStyleSimple", &scxHotZoneStyleSimple},
      {u"scxLoadingFonts", &scxLoadingFonts},
      {u"cxSEditCheckGroupCaptionStateDelimiter", &cxSEditCheckGroupCaptionStateDelimiter},
      {u"cxSEditCheckGroupFilterColumnSeparator", &cxSEditCheckGroupFilterColumnSeparator},
      {u"cxSEditCheckGroupChecked", &cxSEditCheckGroupChecked},
      {u"cxSEditCheckGroupGrayed", &cxSEditCheckGroupGrayed},
      {u"cxSEditCheckGroupUnchecked", &cxSEditCheckGroupUnchecked},
      {u"cxSCheckComboBoxStatesItemsPropertyDlgCaption", &cxSCheckComboBoxStatesItemsPropertyDlgCaption},
      {u"cxSCheckControlIncorrectItemCount", &cxSCheckControlIncorrectItemCount},
      {u"cxSCheckGroupStatesItemsPropertyDlgCaption", &cxSCheckGroupStatesItemsPropertyDlgCaption},
      {u"cxSCheckComboBoxEmptySelectionText", &cxSCheckComboBoxEmptySelectionText},
      {u"cxSColorComboBoxDefaultDescription", &cxSColorComboBoxDefaultDescription},
      {u"cxSEditRichEditLibraryError", &cxSEditRichEditLibraryError},
      {u"cxSEditRichEditLineInsertionError", &cxSEditRichEditLineInsertionError},
      {u"cxSEditRichEditLoadFail", &cxSEditRichEditLoadFail},
      {u"cxSEditRichEditSaveFail", &cxSEditRichEditSaveFail},
      {u"cxSEditRichEditSelectionSaveFail", &cxSEditRichEditSelectionSaveFail},
      {u"cxSEditRichEditOleInterfaceFail", &cxSEditRichEditOleInterfaceFail},
      {u"cxSEditRichEditCallBackFail", &cxSEditRichEditCallBackFail},
      {u"cxSEditRichEditLinkFail", &cxSEditRichEditLinkFail},
      {u"scxSEditRepositoryRichEditItem", &scxSEditRepositoryRichEditItem},
      {u"cxSEditRichEditUndoCaption", &cxSEditRichEditUndoCaption},
      {u"cxSEditRichEditRedoCaption", &cxSEditRichEditRedoCaption},
      {u"cxSEditRichEditCutCaption", &cxSEditRichEditCutCaption},
      {u"cxSEditRichEditCopyCaption", &cxSEditRichEditCopyCaption},
      {u"cxSEditRichEditPasteCaption", &cxSEditRichEditPasteCaption},
      {u"cxSEditRichEditDeleteCaption", &cxSEditRichEditDeleteCaption},
      {u"cxSEditRichEditSelectAllCaption", &cxSEditRichEditSelectAllCaption},
  };
  AddEditConstsNames(AProduct, kNames);
}

void AddBrisvaneFilterControlResourceStringNames(TdxProductResourceStrings* AProduct) {
  static const TEditConstsName kNames[] = {
      {u"cxSFilterBoolOperatorAnd", &cxSFilterBoolOperatorAnd},
      {u"cxSFilterBoolOperatorOr", &cxSFilterBoolOperatorOr},
      {u"cxSFilterBoolOperatorNotAnd", &cxSFilterBoolOperatorNotAnd},
      {u"cxSFilterBoolOperatorNotOr", &cxSFilterBoolOperatorNotOr},
      {u"cxSFilterRootButtonCaption", &cxSFilterRootButtonCaption},
      {u"cxSFilterAddCondition", &cxSFilterAddCondition},
      {u"cxSFilterAddGroup", &cxSFilterAddGroup},
      {u"cxSFilterRemoveRow", &cxSFilterRemoveRow},
      {u"cxSFilterClearAll", &cxSFilterClearAll},
      {u"cxSFilterFooterAddCondition", &cxSFilterFooterAddCondition},
      {u"cxSFilterGroupCaption", &cxSFilterGroupCaption},
      {u"cxSFilterRootGroupCaption", &cxSFilterRootGroupCaption},
      {u"cxSFilterControlNullString", &cxSFilterControlNullString},
      {u"cxSFilterErrorBuilding", &cxSFilterErrorBuilding},
      {u"cxSFilterDialogCaption", &cxSFilterDialogCaption},
      {u"cxSFilterDialogInvalidValue", &cxSFilterDialogInvalidValue},
      {u"cxSFilterDialogUse", &cxSFilterDialogUse},
      {u"cxSFilterDialogSingleCharacter", &cxSFilterDialogSingleCharacter},
      {u"cxSFilterDialogCharactersSeries", &cxSFilterDialogCharactersSeries},
      {u"cxSFilterDialogOperationAnd", &cxSFilterDialogOperationAnd},
      {u"cxSFilterDialogOperationOr", &cxSFilterDialogOperationOr},
      {u"cxSFilterDialogRows", &cxSFilterDialogRows},
      {u"cxSFilterControlDialogCaption", &cxSFilterControlDialogCaption},
      {u"cxSFilterControlDialogNewFile", &cxSFilterControlDialogNewFile},
      {u"cxSFilterControlDialogOpenDialogCaption", &cxSFilterControlDialogOpenDialogCaption},
      {u"cxSFilterControlDialogSaveDialogCaption", &cxSFilterControlDialogSaveDialogCaption},
      {u"cxSFilterControlDialogActionSaveCaption", &cxSFilterControlDialogActionSaveCaption},
      {u"cxSFilterControlDialogActionSaveHint", &cxSFilterControlDialogActionSaveHint},
      {u"cxSFilterControlDialogActionOpenCaption", &cxSFilterControlDialogActionOpenCaption},
      {u"cxSFilterControlDialogActionOpenHint", &cxSFilterControlDialogActionOpenHint},
      {u"cxSFilterControlDialogActionApplyCaption", &cxSFilterControlDialogActionApplyCaption},
      {u"cxSFilterControlDialogActionOkCaption", &cxSFilterControlDialogActionOkCaption},
      {u"cxSFilterControlDialogActionCancelCaption", &cxSFilterControlDialogActionCancelCaption},
      {u"cxSFilterControlDialogFileExt", &cxSFilterControlDialogFileExt},
      {u"cxSFilterControlDialogFileFilter", &cxSFilterControlDialogFileFilter},
  };
  AddEditConstsNames(AProduct, kNames);
}

namespace cxEditConsts {

void Initialize() {
  dxResourceStringsRepository()->RegisterProduct(kEditConstsProduct, &AddEditorsResourceStringNames);
}

void Finalize() {
  dxResourceStringsRepository()->UnRegisterProduct(kEditConstsProduct, &AddEditorsResourceStringNames);
}

}  // namespace cxEditConsts

namespace cxExtEditConsts {

void Initialize() {
  dxResourceStringsRepository()->RegisterProduct(kExtEditConstsProduct, &AddcxExtEditResourceStringNames);
}

void Finalize() {
  dxResourceStringsRepository()->UnRegisterProduct(kExtEditConstsProduct, &AddcxExtEditResourceStringNames);
}

}  // namespace cxExtEditConsts

namespace cxFilterControlStrs {

void Initialize() {
  dxResourceStringsRepository()->RegisterProduct(kFilterConstsProduct,
                                                 &AddBrisvaneFilterControlResourceStringNames);
}

void Finalize() {
  dxResourceStringsRepository()->UnRegisterProduct(kFilterConstsProduct,
                                                   &AddBrisvaneFilterControlResourceStringNames);
}

}  // namespace cxFilterControlStrs

}  // namespace qd
