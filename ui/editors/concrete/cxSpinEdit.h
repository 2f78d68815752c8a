#pragma once
// The spin editor: a numeric editor whose value is typed, or stepped with its spin buttons,
// the arrow and page keys and the mouse wheel; steps clamp to the bounds or wrap around.
#include <cstdint>
#include <memory>

#include "platform/base/types.h"
#include "platform/base/variant.h"
#include "ui/core/cxClassesTimer.h"
#include "ui/editors/cxFilterEdits.h"
#include "ui/editors/cxMaskEdit.h"

namespace qd {

enum TcxSpinEditValueType : uint8_t { vtInt, vtFloat };
enum TcxSpinEditButtonsPosition : uint8_t { sbpHorzLeftRight, sbpHorzRight, sbpVert };
enum TcxSpinEditButton : uint8_t { sebBackward, sebForward, sebFastBackward, sebFastForward };
enum TcxSpinEditPressedState : uint8_t { epsNone, epsDown, epsUp, epsFastDown, epsFastUp };

// How a step that leaves the range ends: refused, on the bound, or wrapped around.
enum TcxSpinEditBoundsCheckingKind : uint8_t { bckNone = 0, bckExtendToBound = 1, bckCircular = 2 };

inline constexpr TcxSpinEditPressedState APressedStateMap[4] = {epsDown, epsUp, epsFastDown, epsFastUp};

class TcxCustomSpinEditProperties;

// The spin buttons' places: TcxSpinEditButton gives each button's visible index.
class TcxSpinEditViewData : public TcxCustomTextEditViewData {
  QD_CLASS(TcxSpinEditViewData, TcxCustomTextEditViewData)

 public:
  using TcxCustomTextEditViewData::TcxCustomTextEditViewData;
  // The button a key holds down.
  TcxSpinEditPressedState PressedState = epsNone;

 protected:
  void CalculateButtonsViewInfo(TcxCanvas* ACanvas, TRect& AEditBounds, const TPoint& P,
                                TcxMouseButton Button, TShiftState Shift, TcxCustomEditViewInfo* AViewInfo,
                                bool AIsMouseEvent) override;
  void CalculateButtonNativePartInfo(HTHEME ATheme, TcxEditButtonViewInfo* AButtonViewInfo) override;
  void CheckButtonsOnly(TcxCustomEditViewInfo* AViewInfo, int32_t APrevButtonsWidth,
                        int32_t AButtonsWidth) override;
  void DoCalculateButtonViewInfos(TcxCanvas* ACanvas, TRect& AButtonsRect,
                                  TcxCustomEditViewInfo* AViewInfo) override;
  HTHEME GetButtonNativeTheme(TcxEditButtonViewInfo* AButtonViewInfo) override;
  bool CanPressButton(TcxCustomEditViewInfo* AViewInfo, int32_t AButtonVisibleIndex) override;
  bool IgnoreButtonWhileStretching(int32_t AButtonVisibleIndex) override;
  bool IsButtonPressed(TcxCustomEditViewInfo* AViewInfo, int32_t AButtonVisibleIndex) override;
  bool IsButtonLeftAligned(TcxCustomEditViewInfo* AViewInfo, int32_t AButtonVisibleIndex) override;

 private:
  TcxSpinEditButtonsPosition Position();
  // The theme's spin parts draw the buttons.
  bool IsSpinNativeStyle(TcxCustomEditViewInfo* AViewInfo);
  void CalculateButtonsBounds(TcxCanvas* ACanvas, TRect& AButtonsRect, TcxCustomEditViewInfo* AViewInfo);
};

class TcxSpinEditViewInfo : public TcxCustomTextEditViewInfo {
  QD_CLASS(TcxSpinEditViewInfo, TcxCustomTextEditViewInfo)

 public:
  void Assign(TObject* Source) override;
  void Offset(int32_t DX, int32_t DY) override;

  // The up arrow's size for the buttons; left and right arrows swap the two.
  TSize ArrowSize;
  TcxSpinEditButtonsPosition ButtonsPosition = sbpVert;
  // The line between two theme-drawn buttons; both points equal when there is none.
  TPoint DelimiterLine[2];

 protected:
  void InternalPaint(TcxCanvas* ACanvas) override;
  void DrawFlatButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton, TRect& R, TRect& AContentRect,
                            TColor& APenColor, TColor& ABrushColor) override;
  void DrawHotFlatButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton, TRect& R,
                               TRect& AContentRect, TColor& APenColor, TColor& ABrushColor) override;
  void DrawNativeButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton, TRect& R,
                              TRect& AContentRect) override;
  void DrawNativeButtonBackground(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton,
                                  const TRect& R) override;
  void DrawButtonContent(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton, bool ANeedOffsetContent,
                         TColor ABrushColor, TColor APenColor, const TRect& AContentRect) override;

 private:
  // The one-pixel border of the flat styles, by the button's place among its neighbours.
  void DrawFlatSpinButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton, TRect& R,
                                TRect& AContentRect, TColor& APenColor, TColor& ABrushColor);
};

class TcxSpinEditButtons : public TPersistent {
  QD_CLASS(TcxSpinEditButtons, TPersistent)
  QD_PUBLISHED(TcxSpinEditButtons)

 public:
  explicit TcxSpinEditButtons(TcxCustomSpinEditProperties* AOwner) : FOwner(AOwner) {}
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override;

  TcxSpinEditButtonsPosition Position() const { return FPosition; }
  void SetPosition(TcxSpinEditButtonsPosition Value);
  bool ShowFastButtons() const { return FShowFastButtons; }
  void SetShowFastButtons(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);

 private:
  void Changed();

  TcxCustomSpinEditProperties* FOwner;
  TcxSpinEditButtonsPosition FPosition = sbpVert;
  bool FShowFastButtons = false;
  bool FVisible = true;
};

using TcxSpinEditGetValueEvent =
    TMethod<void(TObject* Sender, const String& AText, Variant& AValue, String& ErrorText, bool& Error)>;

class TcxCustomSpinEditProperties : public TcxCustomMaskEditProperties {
  QD_CLASS(TcxCustomSpinEditProperties, TcxCustomMaskEditProperties)

 public:
  explicit TcxCustomSpinEditProperties(TPersistent* AOwner);
  ~TcxCustomSpinEditProperties() override;

  bool CanEdit() const { return FCanEdit; }
  void SetCanEdit(bool Value) { SetValue(FCanEdit, Value); }
  bool Circular() const { return FCircular; }
  void SetCircular(bool Value) { SetValue(FCircular, Value); }
  bool ExceptionOnInvalidInput() const { return FExceptionOnInvalidInput; }
  void SetExceptionOnInvalidInput(bool Value) { SetValue(FExceptionOnInvalidInput, Value); }
  double Increment() const { return FIncrement; }
  void SetIncrement(double Value) { SetValue(FIncrement, Value); }
  double LargeIncrement() const { return FLargeIncrement; }
  void SetLargeIncrement(double Value) { SetValue(FLargeIncrement, Value); }
  bool UseCtrlIncrement() const { return FUseCtrlIncrement; }
  void SetUseCtrlIncrement(bool Value) { SetValue(FUseCtrlIncrement, Value); }
  TcxSpinEditButtons* SpinButtons() const { return FSpinButtons.get(); }
  void SetSpinButtons(TcxSpinEditButtons* Value) { FSpinButtons->Assign(Value); }
  // The assigned type; else vtFloat when the defaults provider's field is a floating-point one.
  TcxSpinEditValueType ValueType() const;
  void SetValueType(TcxSpinEditValueType Value);
  bool IsValueTypeStored() const { return FValueTypeAssigned; }
  const TcxSpinEditGetValueEvent& OnGetValue() const { return FOnGetValue; }
  void SetOnGetValue(const TcxSpinEditGetValueEvent& Value) { FOnGetValue = Value; }

  bool IsIncrementStored() const { return FIncrement != 1.0 && FIncrement != 0.0; }
  bool IsLargeIncrementStored() const { return FLargeIncrement != 10.0 && FLargeIncrement != 0.0; }

  // The step of a button: -Increment, +Increment, -LargeIncrement, +LargeIncrement.
  double GetIncrement(TcxSpinEditButton AButton) const;
  Variant VarToCurrentValueType(const Variant& V) const;
  Variant InternalMinValue();
  Variant InternalMaxValue();
  // The bounded 0 of the value type.
  Variant BoundedZero();
  virtual Variant CheckValueBounds(const Variant& V);
  virtual bool ExtendValueUpToBound() { return true; }
  virtual TcxSpinEditBoundsCheckingKind GetBoundsCheckingKind();
  virtual bool IsDisplayValueNumeric() { return true; }
  virtual Variant PrepareValue(const Variant& V);
  virtual bool PreserveSelection() { return false; }
  bool IsValueBoundsValid(double X) const;
  // The text's number as a double or a 64-bit integer; false (AValue Null) when it is none.
  bool TryTextToValue(const String& AText, Variant& AValue);

  TClass GetContainerClass() const override;
  TClass GetViewDataClass() const override { return TcxSpinEditViewData::StaticClass(); }
  TClass GetViewInfoClass() const override { return TcxSpinEditViewInfo::StaticClass(); }
  bool IsEditValueNumeric() override { return true; }
  bool IsEditValueValid(Variant& EditValue, bool AEditFocused) override;
  bool IsDisplayValueValid(Variant& ADisplayValue, bool AEditFocused) override;
  void ValidateDisplayValue(Variant& ADisplayValue, String& AErrorText, bool& AError,
                            const TValidateHandler& AValidator = nullptr,
                            const Variant* ACurrentDisplayValue = nullptr) override;
  TcxEditEditValueSource GetEditValueSource(bool AEditFocused) override;
  void DefaultFocusedDisplayValue(Variant& ADisplayValue) override;
  void DefineProperties(TFiler* Filer) override;

 protected:
  friend class TcxCustomSpinEdit;
  void DoAssign(TcxCustomEditProperties* Source) override;
  void DoChanged() override;
  bool InternalTryTextToValue(const String& AText, Variant& AValue);
  String TryExtractDisplayFormat(const String& AText);

 private:
  std::unique_ptr<TcxSpinEditButtons> FSpinButtons;
  bool FCanEdit = true;
  bool FCircular = false;
  double FIncrement = 1.0;
  double FLargeIncrement = 10.0;
  bool FExceptionOnInvalidInput = false;
  bool FUseCtrlIncrement = false;
  TcxSpinEditValueType FValueType = vtInt;
  bool FValueTypeAssigned = false;
  TcxSpinEditGetValueEvent FOnGetValue;
};

class TcxSpinEditProperties : public TcxCustomSpinEditProperties {
  QD_CLASS(TcxSpinEditProperties, TcxCustomSpinEditProperties)
  QD_PUBLISHED(TcxSpinEditProperties)

 public:
  using TcxCustomSpinEditProperties::TcxCustomSpinEditProperties;
};

class TcxCustomSpinEdit : public TcxCustomMaskEdit {
  QD_CLASS(TcxCustomSpinEdit, TcxCustomMaskEdit)

 public:
  explicit TcxCustomSpinEdit(TComponent* AOwner) : TcxCustomSpinEdit(AOwner, false) {}
  TcxCustomSpinEdit(TComponent* AOwner, bool AIsInplace);
  ~TcxCustomSpinEdit() override;

  TClass GetPropertiesClass() const override { return TcxSpinEditProperties::StaticClass(); }
  TcxCustomSpinEditProperties* ActiveProperties() {
    return static_cast<TcxCustomSpinEditProperties*>(TcxCustomEdit::ActiveProperties());
  }
  TcxCustomSpinEditProperties* Properties() {
    return static_cast<TcxCustomSpinEditProperties*>(TcxCustomEdit::Properties());
  }

  Variant Value() { return GetValue(); }
  void SetValue(const Variant& AValue);
  // One step for the button, as the user would make it; whether the shown text changed.
  virtual bool Increment(TcxSpinEditButton AButton);
  TcxSpinEditPressedState PressedState() const { return FPressedState; }
  // The auto-repeat timer runs.
  bool IsTracking() const { return FTimer != nullptr; }
  bool IsEditValueStored() { return !VarIsNumeric(EditValue()) || EditValue().AsDouble() != 0; }
  bool IsValueStored() { return !VarIsNumeric(Value()) || Value().AsDouble() != 0; }

  void ClearSelection() override;
  void CutToClipboard() override;
  void PasteFromClipboard() override;
  void PropertiesChanged(TObject* Sender) override;

 protected:
  virtual bool GetNewValue(TcxSpinEditButton AButton, Variant& V);
  // Under right-to-left alignment the buttons that step the other way (horizontal ones and
  // fast ones swap); otherwise the button itself.
  TcxSpinEditButton GetButtonForDirection(TcxSpinEditButton AButton);
  virtual bool InternalIncrement(Variant& AValue, const Variant& ADelta);
  virtual double GetIncrement(TcxSpinEditButton AButton);
  virtual Variant GetValue();
  virtual String IncrementValueToStr(const Variant& AValue);

  bool IsValidChar(Char AChar) override;
  void DoEditKeyDown(WORD& Key, TShiftState Shift) override;
  void DoEditKeyPress(Char& Key) override;
  void DoEditKeyUp(WORD& Key, TShiftState Shift) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  void DoButtonDown(int32_t AButtonVisibleIndex) override;
  void DoButtonUp(int32_t AButtonVisibleIndex) override;
  void DoFocusChanged() override;
  void ChangeHandler(TObject* Sender) override;
  void SynchronizeDisplayValue() override;
  void InternalStoreEditValue(const Variant& Value) override;
  Variant InternalGetEditingValue() override { return GetValue(); }
  void CheckEditorValueBounds() override;
  void InitializeViewData(TcxCustomEditViewData* AViewData) override;

  void InternalPrepareEditValue(const String& ADisplayValue, bool ARaiseException, String& AErrorText,
                                Variant& AEditValue);
  void PrepareEditValue(const Variant& ADisplayValue, Variant& EditValue, bool AEditFocused) override;
  void SetPressedState(TcxSpinEditPressedState Value);
  void StopTracking();

 private:
  friend class TcxCustomSpinEditProperties;
  void TimerHandler(TObject* Sender);
  bool IsStepKey(WORD Key) const;

  Variant FInternalValue;
  bool FIsCustomText = false;
  bool FIsCustomTextAction = false;
  TcxSpinEditPressedState FPressedState = epsNone;
  std::unique_ptr<TcxTimer> FTimer;
  int32_t FTrackedButton = -1;
};

class TcxSpinEdit : public TcxCustomSpinEdit {
  QD_CLASS(TcxSpinEdit, TcxCustomSpinEdit)
  QD_PUBLISHED(TcxSpinEdit)

 public:
  using TcxCustomSpinEdit::TcxCustomSpinEdit;
  TcxSpinEditProperties* Properties() {
    return static_cast<TcxSpinEditProperties*>(TcxCustomSpinEdit::Properties());
  }
  void SetProperties(TcxSpinEditProperties* Value) { TcxCustomEdit::Properties()->Assign(Value); }
};

class TcxFilterSpinEditHelper : public TcxCustomFilterEditHelper {
  QD_CLASS(TcxFilterSpinEditHelper, TcxCustomFilterEditHelper)

 public:
  static TcxFilterEditHelperClass Class();
  TClass GetFilterEditClass() const override { return TcxSpinEdit::StaticClass(); }
  TcxFilterDataType GetFilterDataType(TcxValueTypeClass) const override { return fdtNumeric; }
  TcxFilterControlOperators GetSupportedFilterOperators(TcxCustomEditProperties* AProperties,
                                                        TcxValueTypeClass AValueTypeClass,
                                                        bool AExtendedSet = false) const override;
  void InitializeProperties(TcxCustomEditProperties* AProperties, TcxCustomEditProperties* AEditProperties,
                            bool AHasButtons) const override;
};

namespace cxSpinEdit {
void Initialize();
void Finalize();
}  // namespace cxSpinEdit

}  // namespace qd
