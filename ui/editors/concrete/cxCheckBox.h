#pragma once
// The check box unit: the three-state check box editor with its properties, view data and
// view info, the check-mark drawing that check editors share (DrawScaledEditCheck, the
// glyph index and size rules), the fading of the box between its normal and hot looks and
// the filter helper of check box columns.
#include <cstdint>
#include <memory>

#include "platform/base/variant.h"
#include "platform/forms/controls.h"
#include "ui/editors/cxEdit.h"
#include "ui/editors/cxEditCheckState.h"
#include "ui/editors/cxFilterEdits.h"
#include "ui/editors/cxTextEdit.h"

namespace qd {

// TcxCheckBoxState (cbsUnchecked, cbsChecked, cbsGrayed) comes with the painter interface.
enum TcxCheckBoxNullValueShowingStyle : uint8_t { nssUnchecked, nssInactive, nssGrayedChecked };

inline constexpr TcxButtonState CheckStateToButtonState[] = {cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled};
// The visual-style check-box state (1 to 12) by check box state and check state.
inline constexpr int32_t ANativeCheckStateMap[3][4] = {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}};

class TcxCustomCheckBox;
class TcxCustomCheckBoxViewInfo;

// --- Properties ----------------------------------------------------------------------------

class TcxCustomCheckBoxProperties : public TcxCustomEditProperties {
  QD_CLASS(TcxCustomCheckBoxProperties, TcxCustomEditProperties)

 public:
  explicit TcxCustomCheckBoxProperties(TPersistent* AOwner);
  ~TcxCustomCheckBoxProperties() override;

  // The state an edit value shows: checked for exactly ValueChecked, unchecked for exactly
  // ValueUnchecked, grayed for anything else (Null included).
  TcxCheckBoxState GetState(const Variant& AEditValue);
  // The value of a state: ValueUnchecked, ValueChecked or ValueGrayed.
  Variant GetValueByState(TcxCheckBoxState AState);
  // The display text of a state: the assigned text or its default.
  String GetDisplayCheckState(TcxCheckBoxState AState);

  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { SetValue(FAllowGrayed, Value); }
  // The caption of stored forms that kept it with the properties; the editor moves it into
  // its own caption on its next properties change.
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool IsCaptionAssigned() const { return FIsCaptionAssigned; }
  // The editor took the caption over.
  void CaptionApplied() { FIsCaptionAssigned = false; }
  String DisplayChecked() { return GetDisplayCheckState(cbsChecked); }
  void SetDisplayChecked(const String& Value) { SetDisplayCheckState(cbsChecked, Value); }
  String DisplayUnchecked() { return GetDisplayCheckState(cbsUnchecked); }
  void SetDisplayUnchecked(const String& Value) { SetDisplayCheckState(cbsUnchecked, Value); }
  String DisplayGrayed() { return GetDisplayCheckState(cbsGrayed); }
  void SetDisplayGrayed(const String& Value) { SetDisplayCheckState(cbsGrayed, Value); }
  bool IsDisplayCheckedStored() const { return FIsDisplayCheckStateAssigned[cbsChecked]; }
  bool IsDisplayUncheckedStored() const { return FIsDisplayCheckStateAssigned[cbsUnchecked]; }
  bool IsDisplayGrayedStored() const { return FIsDisplayCheckStateAssigned[cbsGrayed]; }
  bool FullFocusRect() const { return FFullFocusRect; }
  void SetFullFocusRect(bool Value) { SetValue(FFullFocusRect, Value); }
  TdxSmartGlyph* Glyph() const { return FGlyph.get(); }
  // Copied into the owned glyph; always announced.
  void SetGlyph(TdxSmartGlyph* Value);
  int32_t GlyphCount() const { return FGlyphCount; }
  void SetGlyphCount(int32_t Value);
  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value) { SetValue(FMultiLine, Value); }
  TcxCheckBoxNullValueShowingStyle NullStyle() const { return FNullStyle; }
  void SetNullStyle(TcxCheckBoxNullValueShowingStyle Value) { SetValue(FNullStyle, Value); }
  bool ShowEndEllipsis() const { return FShowEndEllipsis; }
  void SetShowEndEllipsis(bool Value) { SetValue(FShowEndEllipsis, Value); }
  bool UseAlignmentWhenInplace() const { return FUseAlignmentWhenInplace; }
  void SetUseAlignmentWhenInplace(bool Value) { SetValue(FUseAlignmentWhenInplace, Value); }
  // Accepted while loading, or when the value is none of the three current values and not
  // Null (ValueGrayed may be Null).
  const Variant& ValueChecked() const { return FValueChecked; }
  void SetValueChecked(const Variant& Value);
  const Variant& ValueGrayed() const { return FValueGrayed; }
  void SetValueGrayed(const Variant& Value);
  const Variant& ValueUnchecked() const { return FValueUnchecked; }
  void SetValueUnchecked(const Variant& Value);
  bool IsValueCheckedStored() const;
  bool IsValueGrayedStored() const { return !VarIsNull(FValueGrayed); }
  bool IsValueUncheckedStored() const;

  virtual TdxSmartGlyph* InternalGetGlyph() { return FGlyph.get(); }
  virtual bool IsEmbeddedEdit() { return false; }

  bool CanCompareEditValue() override { return true; }
  bool CanValidate() override { return true; }
  bool CompareDisplayValues(const Variant& AEditValue1, const Variant& AEditValue2) override;
  TClass GetContainerClass() const override;
  String GetDisplayText(const Variant& AEditValue, bool AFullText = false, bool AIsInplace = true) override;
  TcxEditSpecialFeatures GetSpecialFeatures() override;
  TcxEditSupportedOperations GetSupportedOperations() override;
  TClass GetViewDataClass() const override;
  TClass GetViewInfoClass() const override;
  bool HasDisplayValue() override { return true; }
  bool IsActivationKey(Char AKey) override { return AKey == u' '; }
  bool IsEditValueValid(Variant& EditValue, bool AEditFocused) override;
  bool IsResetEditClass() override { return true; }
  void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool AEditFocused) override;

 protected:
  void DoAssign(TcxCustomEditProperties* Source) override;

 private:
  bool IsLoading() const;
  void SetDisplayCheckState(TcxCheckBoxState AState, const String& Value);
  void GlyphChanged(TObject* Sender) { Changed(); }

  bool FAllowGrayed = false;
  String FCaption;
  bool FIsCaptionAssigned = false;
  String FDisplayCheckState[3];
  bool FIsDisplayCheckStateAssigned[3] = {false, false, false};
  bool FFullFocusRect = false;
  std::unique_ptr<TdxSmartGlyph> FGlyph;
  int32_t FGlyphCount = 6;
  bool FMultiLine = false;
  TcxCheckBoxNullValueShowingStyle FNullStyle = nssGrayedChecked;
  bool FShowEndEllipsis = false;
  bool FUseAlignmentWhenInplace = false;
  Variant FValueChecked;
  Variant FValueGrayed;
  Variant FValueUnchecked;
};

class TcxCheckBoxProperties : public TcxCustomCheckBoxProperties {
  QD_CLASS(TcxCheckBoxProperties, TcxCustomCheckBoxProperties)
  QD_PUBLISHED(TcxCheckBoxProperties)

 public:
  using TcxCustomCheckBoxProperties::TcxCustomCheckBoxProperties;
};

// --- Style -------------------------------------------------------------------------------------

// A check box draws no container border.
class TcxCheckBoxStyle : public TcxEditStyle {
  QD_CLASS(TcxCheckBoxStyle, TcxEditStyle)

 public:
  using TcxEditStyle::TcxEditStyle;
  bool HasBorder() override { return false; }
};

// --- Fading ---------------------------------------------------------------------------------------

// Cross-fades the box of a check editor between its normal and hot looks.
class TcxCustomCheckControlFadingHelper : public TcxCustomEditFadingHelper {
  QD_CLASS(TcxCustomCheckControlFadingHelper, TcxCustomEditFadingHelper)

 public:
  explicit TcxCustomCheckControlFadingHelper(TcxCustomCheckBoxViewInfo* AViewInfo);

  // Starts a fade when the check state changed since the last call.
  void UpdateState();

  bool CanFade() override;
  void DrawFadeImage() override { Invalidate(); }
  void GetFadingImages(std::unique_ptr<TcxBitmap>& AFadeOutImage,
                       std::unique_ptr<TcxBitmap>& AFadeInImage) override;
  TcxCustomEditViewInfo* GetEditViewInfo() override;
  void Invalidate() override;

  TcxCustomCheckBoxViewInfo* ViewInfo() const { return FViewInfo; }

 protected:
  virtual std::unique_ptr<TcxBitmap> PrepareFadingImage(TcxEditCheckState AState);

 private:
  TcxCustomCheckBoxViewInfo* FViewInfo;
  TcxEditCheckState FState;
};

class TcxCheckBoxFadingHelper : public TcxCustomCheckControlFadingHelper {
  QD_CLASS(TcxCheckBoxFadingHelper, TcxCustomCheckControlFadingHelper)

 public:
  using TcxCustomCheckControlFadingHelper::TcxCustomCheckControlFadingHelper;
};

// --- View info -------------------------------------------------------------------------------------

class TcxCustomCheckBoxViewInfo : public TcxCustomTextEditViewInfo {
  QD_CLASS(TcxCustomCheckBoxViewInfo, TcxCustomTextEditViewInfo)

 public:
  TcxCustomCheckBoxViewInfo() = default;
  ~TcxCustomCheckBoxViewInfo() override;

  void Assign(TObject* Source) override;
  void Offset(int32_t DX, int32_t DY) override;
  // With a skin: the painter's colours of an enabled or a disabled editor.
  void GetColorSettingsByPainter(TColor& AFillColor, TColor& ATextColor) override;
  HRGN GetUpdateRegion(TcxContainerViewInfo* AOldViewInfo) override;
  bool IsHotTrack() override { return true; }
  bool IsHotTrack(const TPoint&) override { return true; }
  bool NeedShowHint(TcxCanvas*, const TPoint&, int32_t, TRect&, bool&, String&, const TRect&) override {
    return false;
  }
  bool Repaint(TWinControl* AControl, const TRect& AInnerEditRect, TcxContainerViewInfo* AViewInfo) override;
  void StoreLastState() override;

  // The fading object, made on first use.
  TcxCustomCheckControlFadingHelper* FadingHelper();
  virtual TcxCustomCheckControlFadingHelper* CreateFadingHelper();

  TAlignment Alignment = taLeftJustify;
  int32_t CheckBorderOffset = 0;
  TcxEditBorderStyle CheckBoxBorderStyle = cbsNone;
  TdxSmartGlyph* CheckBoxGlyph = nullptr;
  int32_t CheckBoxGlyphCount = 0;
  TcxEditCheckState CheckBoxLastState = ecsNormal;
  TRect CheckBoxRect;
  TSize CheckBoxSize;
  TcxEditCheckState CheckBoxState = ecsNormal;
  int32_t DrawCaptionFlags = 0;
  TRect FocusRect;
  bool HasGlyph = false;
  bool IsTextColorAssigned = false;
  TcxCheckBoxNullValueShowingStyle NullValueShowingStyle = nssGrayedChecked;
  TcxCheckBoxState State = cbsUnchecked;

 protected:
  void InternalPaint(TcxCanvas* ACanvas) override;

 private:
  std::unique_ptr<TcxCustomCheckControlFadingHelper> FFadingHelper;
};

// --- View data ---------------------------------------------------------------------------------------

class TcxCustomCheckBoxViewData : public TcxCustomEditViewData {
  QD_CLASS(TcxCustomCheckBoxViewData, TcxCustomEditViewData)

 public:
  using TcxCustomEditViewData::TcxCustomEditViewData;

  virtual int32_t GetDrawTextFlags();
  virtual int32_t GetTextGap();
  virtual void CalculateCheckBoxRect(TcxCustomCheckBoxViewInfo* AViewInfo);
  virtual void CalculateCheckBoxState(TcxCustomCheckBoxViewInfo* AViewInfo, const TPoint& P,
                                      TcxMouseButton Button, TShiftState Shift);
  virtual void CalculateFocusRect(TcxCanvas* ACanvas, TcxCustomCheckBoxViewInfo* AViewInfo);
  virtual void CalculateTextRect(TcxCustomCheckBoxViewInfo* AViewInfo);
  virtual int32_t GetContentOffset();

  void Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, TcxMouseButton Button,
                 TShiftState Shift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void EditValueToDrawValue(const Variant& AEditValue, TcxCustomEditViewInfo* AViewInfo) override;
  TSize InternalGetEditConstantPartSize(TcxCanvas* ACanvas, bool AIsInplace,
                                        const TcxEditSizeProperties& AEditSizeProperties,
                                        TSize& AMinContentSize, TcxCustomEditViewInfo* AViewInfo) override;
  TSize InternalGetEditContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                                   const TcxEditSizeProperties& AEditSizeProperties) override;

  TcxCustomCheckBoxProperties* CheckBoxProperties() const {
    return static_cast<TcxCustomCheckBoxProperties*>(Properties());
  }
  // The caption: the editor's own, else the properties' legacy caption.
  String GetCaption();
  // The box size for these properties and style.
  TSize GetCheckBoxSize();
  // The state held down by the space key (set by the editor).
  bool IsCheckPressed = false;
};

// --- The editor ----------------------------------------------------------------------------------------

class TcxCustomCheckBox : public TcxCustomEdit {
  QD_CLASS(TcxCustomCheckBox, TcxCustomEdit)

 public:
  explicit TcxCustomCheckBox(TComponent* AOwner) : TcxCustomCheckBox(AOwner, false) {}
  TcxCustomCheckBox(TComponent* AOwner, bool AIsInplace);
  void AfterConstruction() override;

  TClass GetPropertiesClass() const override { return TcxCheckBoxProperties::StaticClass(); }
  TcxCustomCheckBoxProperties* Properties() {
    return static_cast<TcxCustomCheckBoxProperties*>(TcxCustomEdit::Properties());
  }
  void SetProperties(TcxCustomCheckBoxProperties* Value) { Properties()->Assign(Value); }
  TcxCustomCheckBoxProperties* ActiveProperties() {
    return static_cast<TcxCustomCheckBoxProperties*>(TcxCustomEdit::ActiveProperties());
  }
  // The view info; a new one takes the state of the edit value.
  TcxCustomCheckBoxViewInfo* ViewInfo();

  TcxCheckBoxState State();
  void SetState(TcxCheckBoxState Value);
  bool Checked() { return State() == cbsChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbsChecked : cbsUnchecked); }
  // Unchecks the box.
  void Clear() { SetChecked(false); }
  String Caption() { return TcxCustomEdit::Caption(); }
  void SetCaption(const String& Value) { TcxCustomEdit::SetCaption(Value); }
  TcxCheckBoxStyle* Style() const { return static_cast<TcxCheckBoxStyle*>(TcxCustomEdit::Style()); }
  void SetStyle(TcxCheckBoxStyle* Value) { TcxContainer::SetStyle(Value); }
  // The box is held down by the space key.
  bool IsCheckPressed() const { return FIsCheckPressed; }

  // The next state: unchecked to grayed (AllowGrayed) or checked, checked to unchecked,
  // grayed to checked; posted at once with ImmediatePost.
  virtual void Toggle();

  Variant GetDisplayValue() override { return EditValue(); }
  String GetDisplayText() override;
  void PropertiesChanged(TObject* Sender) override;
  void Loaded() override;
  void InitializeViewData(TcxCustomEditViewData* AViewData) override;
  void CalculateViewInfo(const TPoint& P, TcxMouseButton Button, TShiftState Shift,
                         bool AIsMouseEvent) override;
  using TcxCustomEdit::CalculateViewInfo;
  bool DefaultParentColor() override { return true; }
  bool IsNativeBackground() override;

 protected:
  bool CanAutoWidth() override;
  bool IsHeightDependOnWidth() override;
  void PopulateSizeProperties(TcxEditSizeProperties& AEditSizeProperties) override;
  void DoExit() override;
  bool DoRefreshContainer(const TPoint& P, TcxMouseButton Button, TShiftState Shift,
                          bool AIsMouseEvent) override;
  void InternalSetEditValue(const Variant& Value, bool AValidateEditValue) override;
  void SetInternalDisplayValue(const Variant& Value) override { SetInternalEditValue(Value); }
  void UpdateDrawValue() override;
  void DoEditKeyDown(WORD& Key, TShiftState Shift) override;
  void DoEditKeyPress(Char& Key) override;
  void DoEditKeyUp(WORD& Key, TShiftState Shift) override;
  void WndProc(TMessage& Message) override;
  TcxContainerStyleValues InternalGetNotPublishedStyleValues() override;

 private:
  void SetCheckPressed(bool Value);

  bool FIsCheckPressed = false;
  bool FIsLoaded = false;
  TcxCustomCheckBoxViewInfo* FStateViewInfo = nullptr;
  TcxCheckBoxState FLoadingState = cbsUnchecked;
  bool FIsLoadingStateAssigned = false;
};

class TcxCheckBox : public TcxCustomCheckBox {
  QD_CLASS(TcxCheckBox, TcxCustomCheckBox)
  QD_PUBLISHED(TcxCheckBox)

 public:
  using TcxCustomCheckBox::TcxCustomCheckBox;
  TcxCheckBoxProperties* Properties() {
    return static_cast<TcxCheckBoxProperties*>(TcxCustomCheckBox::Properties());
  }
  TcxCheckBoxProperties* ActiveProperties() {
    return static_cast<TcxCheckBoxProperties*>(TcxCustomCheckBox::ActiveProperties());
  }
};

// --- Filter helper ---------------------------------------------------------------------------------------

// Filter rows offer a check box column's checked and unchecked display texts as a fixed list:
// item 0 stands for ValueChecked, item 1 for ValueUnchecked, no item for Null.
class TcxFilterCheckBoxHelper : public TcxCustomFilterEditHelper {
  QD_CLASS(TcxFilterCheckBoxHelper, TcxCustomFilterEditHelper)

 public:
  static TcxFilterEditHelperClass Class();

  TcxFilterDataType GetFilterDataType(TcxValueTypeClass) const override { return fdtCheck; }
  TcxFilterControlOperators GetSupportedFilterOperators(TcxCustomEditProperties* AProperties,
                                                        TcxValueTypeClass AValueTypeClass,
                                                        bool AExtendedSet = false) const override;
  bool IsIDefaultValuesProviderNeeded(TcxCustomEditProperties*) const override { return false; }
  bool UseDisplayValue() const override { return true; }
  // The filter editor is a combo box whose fixed list holds the checked and unchecked texts.
  bool EditPropertiesHasButtons() const override { return true; }
  TClass GetFilterEditClass() const override;
  void InitializeProperties(TcxCustomEditProperties* AProperties, TcxCustomEditProperties* AEditProperties,
                            bool AHasButtons) const override;
  void GetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AEditProperties, Variant& V,
                      String& S) const override;
  void SetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AEditProperties,
                      const Variant& AValue) const override;

  // The list the filter editor offers: the checked and the unchecked display texts.
  static void GetFilterItems(TcxCustomEditProperties* AEditProperties, TStrings* AItems);
  // The value an item index stands for (Null for none).
  static Variant ItemIndexToValue(TcxCustomEditProperties* AEditProperties, int32_t AItemIndex);
  // The item a filter value selects: 0 checked, 1 unchecked, -1 (none) grayed.
  static int32_t ValueToItemIndex(TcxCustomEditProperties* AEditProperties, const Variant& AValue);
};

// --- Unit-level drawing
// ---------------------------------------------------------------------------------------

// The image of a glyph for a state: groups of three (unchecked, checked, grayed) when the
// glyph holds a grayed group, the count is a multiple of 3 or odd, else of two; the pressed
// looks follow the first group.
int32_t GetEditCheckGlyphIndex(TcxCheckBoxState ACheckBoxState, TcxEditCheckState ACheckState,
                               bool AHasGrayedGroup, int32_t AGlyphCount);
TSize GetScaledEditCheckSize(TcxCanvas* ACanvas, bool ANativeStyle, TdxSmartGlyph* AGlyph,
                             int32_t AGlyphCount, TcxCustomLookAndFeelPainter* APainter,
                             TdxScaleFactor* AScaleFactor);
// 0 with native style, a glyph or a painter, else 2 less the container border width.
int32_t GetEditCheckBorderOffset(TcxContainerBorderStyle ABorderStyle, bool ANativeStyle, bool AHasGlyph,
                                 TcxCustomLookAndFeelPainter* APainter);
int32_t GetCheckNativeState(TcxCheckBoxState ACheckBoxState, TcxEditCheckState ACheckState);
bool IsGlyphValid(TdxSmartGlyph* AGlyph, int32_t AGlyphCount);
void DrawCheckBoxText(TcxCanvas* ACanvas, const String& AText, TFont* AFont, bool AEnabledLook,
                      int32_t AFlags, const TRect& ARect, TColor AColor);
void DrawScaledEditCheck(TcxCanvas* ACanvas, const TRect& ACheckRect, TcxCheckBoxState AState,
                         TcxEditCheckState ACheckState, TdxSmartGlyph* AGlyph, int32_t AGlyphCount,
                         TcxEditBorderStyle ABorderStyle, bool ANativeStyle, TColor ABorderColor,
                         TColor ABackgroundColor, bool ADrawBackground, bool AIsDesigning, bool AFocused,
                         bool AHasGrayedGroup, TcxCustomLookAndFeelPainter* APainter,
                         TdxScaleFactor* AScaleFactor,
                         TcxCheckBoxNullValueShowingStyle ANullValueShowingStyle = nssGrayedChecked);
void DrawScaledEditCheck(TcxCanvas* ACanvas, const TRect& ACheckRect, TcxEditCheckState ACheckState,
                         TdxScaleFactor* AScaleFactor, TcxCustomCheckBoxViewInfo* AViewInfo);
void DrawCustomCheckBox(TcxCanvas* ACanvas, TcxCustomCheckBoxViewInfo* AViewInfo);
void CalculateCheckBoxViewInfo(TcxCustomEditViewData* AViewData, TcxCustomCheckBoxViewInfo* AViewInfo);
String GetCheckBoxStateCaptionByGlyphIndex(int32_t AIndex);

namespace cxCheckBox {
void Initialize();
void Finalize();
}  // namespace cxCheckBox

}  // namespace qd
