#pragma once
// The memo: a text editor over the system multi-line edit, with scroll-bar, word-wrap,
// return and tab settings, an auto height by visible line count, line-break repair of
// inserted text and the library's scroll bars in place of the system ones.
#include <cstdint>
#include <memory>

#include "platform/forms/stdctrls.h"
#include "ui/editors/cxTextEdit.h"

namespace qd {

class TcxCustomMemo;
class TcxCustomInnerMemo;

// Every LF followed by CR becomes CR LF CR LF; CR LF pairs and everything else stay.
String CorrectLineBreaks(const String& AText);

// The inner multi-line edit as the memo sees it.
class IcxInnerMemo : public IcxInnerTextEdit {
 public:
  virtual TPoint GetCaretPos() = 0;
  virtual void SetCaretPos(const TPoint& Value) = 0;
  virtual TStrings* GetLines() = 0;
  virtual TScrollStyle GetScrollBars() = 0;
  virtual void SetScrollBars(TScrollStyle Value) = 0;
  virtual bool GetWantReturns() = 0;
  virtual void SetWantReturns(bool Value) = 0;
  virtual bool GetWantTabs() = 0;
  virtual void SetWantTabs(bool Value) = 0;
  virtual bool GetWordWrap() = 0;
  virtual void SetWordWrap(bool Value) = 0;
};

// --- Properties ----------------------------------------------------------------------------

class TcxCustomMemoProperties : public TcxCustomTextEditProperties {
  QD_CLASS(TcxCustomMemoProperties, TcxCustomTextEditProperties)

 public:
  explicit TcxCustomMemoProperties(TPersistent* AOwner);

  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value) { SetValue(FScrollBars, Value); }
  // Never below 0.
  int32_t VisibleLineCount() const { return FVisibleLineCount; }
  void SetVisibleLineCount(int32_t Value);
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { SetValue(FWantReturns, Value); }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { SetValue(FWantTabs, Value); }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value) { SetValue(FWordWrap, Value); }

  TClass GetContainerClass() const override;
  TClass GetViewDataClass() const override;
  TClass GetViewInfoClass() const override;
  bool InnerEditNeedsTabs() override { return FWantTabs; }
  // Unless AFullText, only the first line, at most 250 characters.
  String GetDisplayText(const Variant& AEditValue, bool AFullText = false, bool AIsInplace = true) override;
  TcxEditSpecialFeatures GetSpecialFeatures() override;
  TcxEditSupportedOperations GetSupportedOperations() override;
  bool IsMultiLine() override { return true; }

 protected:
  void DoAssign(TcxCustomEditProperties* Source) override;
  TcxEditVertAlignment GetDefaultVertAlignment() const override { return taTopJustify; }

 private:
  TScrollStyle FScrollBars = ssNone;
  int32_t FVisibleLineCount = 0;
  bool FWantReturns = true;
  bool FWantTabs = false;
  bool FWordWrap = true;
};

class TcxMemoProperties : public TcxCustomMemoProperties {
  QD_CLASS(TcxMemoProperties, TcxCustomMemoProperties)
  QD_PUBLISHED(TcxMemoProperties)

 public:
  using TcxCustomMemoProperties::TcxCustomMemoProperties;
};

// --- View data and view info -----------------------------------------------------------------

class TcxCustomMemoViewInfo : public TcxCustomTextEditViewInfo {
  QD_CLASS(TcxCustomMemoViewInfo, TcxCustomTextEditViewInfo)

 public:
  TcxCustomMemoViewInfo() = default;
  void DrawText(TcxCanvas* ACanvas) override;
};

class TcxCustomMemoViewData : public TcxCustomTextEditViewData {
  QD_CLASS(TcxCustomMemoViewData, TcxCustomTextEditViewData)

 public:
  using TcxCustomTextEditViewData::TcxCustomTextEditViewData;

  TSize InternalGetEditConstantPartSize(TcxCanvas* ACanvas, bool AIsInplace,
                                        const TcxEditSizeProperties& AEditSizeProperties,
                                        TSize& AMinContentSize, TcxCustomEditViewInfo* AViewInfo) override;
  TSize InternalGetEditContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                                   const TcxEditSizeProperties& AEditSizeProperties) override;
  TSize GetEditingContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                              const TcxEditSizeProperties& AEditSizeProperties) override;
  TSize GetEditContentSizeCorrection() override;
  uint32_t GetDrawTextFlags() override;
  TRect GetDrawTextOffset() override;
  int32_t GetMaxLineCount() override;

  TcxCustomMemoProperties* MemoProperties() const;
};

// --- The inner memo ------------------------------------------------------------------------------

// Implements the inner-edit interfaces for the inner memo, which owns it.
class TcxCustomInnerMemoHelper : public TcxInterfacedPersistent, public IcxInnerMemo {
  QD_CLASS(TcxCustomInnerMemoHelper, TcxInterfacedPersistent)

 public:
  explicit TcxCustomInnerMemoHelper(TcxCustomInnerMemo* AEdit);

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
  TcxEditEchoMode GetEchoMode() override { return eemNormal; }
  void SetEchoMode(TcxEditEchoMode) override {}
  int32_t GetFirstVisibleCharIndex() override;
  bool GetHideSelection() override;
  void SetHideSelection(bool Value) override;
  Char GetImeLastChar() override { return 0; }
  TImeMode GetImeMode() override;
  void SetImeMode(TImeMode Value) override;
  String GetImeName() override;
  void SetImeName(const String& Value) override;
  bool GetInternalUpdating() override;
  void SetInternalUpdating(bool Value) override;
  int32_t GetMaxLength() override;
  void SetMaxLength(int32_t Value) override;
  bool GetMultiLine() override { return true; }
  bool GetOEMConvert() override { return false; }
  void SetOEMConvert(bool) override {}
  TNotifyEvent GetOnSelChange() override;
  void SetOnSelChange(const TNotifyEvent& Value) override;
  Char GetPasswordChar() override { return 0; }
  void SetPasswordChar(Char) override {}
  int32_t GetSelLength() override;
  int32_t GetSelStart() override;
  String GetSelText() override;
  bool GetUseLeftAlignmentOnEditing() override { return false; }
  void SetUseLeftAlignmentOnEditing(bool) override {}
  void SelectAll() override;
  void SetSelLength(int32_t Value) override;
  void SetSelStart(int32_t Value) override;
  void SetSelText(const String& Value) override;
  String GetTextHint() override;
  void SetTextHint(const String& Value) override;
  // IcxInnerMemo
  TPoint GetCaretPos() override;
  void SetCaretPos(const TPoint& Value) override;
  TStrings* GetLines() override;
  TScrollStyle GetScrollBars() override;
  void SetScrollBars(TScrollStyle Value) override;
  bool GetWantReturns() override;
  void SetWantReturns(bool Value) override;
  bool GetWantTabs() override;
  void SetWantTabs(bool Value) override;
  bool GetWordWrap() override;
  void SetWordWrap(bool Value) override;

  TcxCustomInnerMemo* Edit() const { return FEdit; }

 private:
  TcxCustomInnerMemo* FEdit;
};

// The system multi-line edit inside a memo (its owner): keys, mouse and focus go to the
// memo first, text the library inserts is repaired and taken as the memo's edit value.
class TcxCustomInnerMemo : public TMemo, public IcxInnerEditHelper {
  QD_CLASS(TcxCustomInnerMemo, TMemo)

 public:
  using OwnerType = TComponent;
  explicit TcxCustomInnerMemo(TComponent* AOwner);
  ~TcxCustomInnerMemo() override;

  IcxCustomInnerEdit* GetHelper() override { return FHelper.get(); }
  TcxCustomInnerMemoHelper* Helper() const { return FHelper.get(); }
  TcxCustomMemo* Container() const;

  bool InternalUpdating() const { return FInternalUpdating; }
  void SetInternalUpdating(bool Value) { FInternalUpdating = Value; }
  TImeMode ImeMode() const { return FImeMode; }
  void SetImeMode(TImeMode Value) { FImeMode = Value; }
  const String& ImeName() const { return FImeName; }
  void SetImeName(const String& Value) { FImeName = Value; }
  bool InnerAutoSelect() const { return FAutoSelect; }
  void SetInnerAutoSelect(bool Value) { FAutoSelect = Value; }
  bool InnerWantTabs() const { return FWantTabs; }
  void SetInnerWantTabs(bool Value);
  int32_t LockBoundsCount() const { return FLockBoundsCount; }
  bool IsInternalTextSetting() const { return FInternalTextSettingCount > 0; }

  TNotifyEvent OnSelChange;

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  bool CanFocus() override;

 protected:
  friend class TcxCustomInnerMemoHelper;
  friend class TcxCustomMemo;
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void CreateHandle() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  void DoEnter() override;
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

  // Brackets a text change made by the library itself.
  void BeginInternalTextSetting() { ++FInternalTextSettingCount; }
  void EndInternalTextSetting() { --FInternalTextSettingCount; }

 private:
  void WMKeyDown(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMReplaceSel(TMessage& Message);
  void WMSetText(TMessage& Message);
  void WMClear(TMessage& Message);

  bool FAutoSelect = false;
  bool FEscapePressed = false;
  std::unique_ptr<TcxCustomInnerMemoHelper> FHelper;
  int32_t FInternalTextSettingCount = 0;
  bool FInternalUpdating = false;
  bool FIsCreating = false;
  int32_t FLockBoundsCount = 0;
  bool FWantTabs = false;
  TImeMode FImeMode = imDontCare;
  String FImeName;
};

// --- The memo -------------------------------------------------------------------------------------

class TcxCustomMemo : public TcxCustomTextEdit {
  QD_CLASS(TcxCustomMemo, TcxCustomTextEdit)

 public:
  explicit TcxCustomMemo(TComponent* AOwner) : TcxCustomMemo(AOwner, false) {}
  TcxCustomMemo(TComponent* AOwner, bool AIsInplace);
  void AfterConstruction() override;
  void SetParent(TWinControl* AParent) override;

  TClass GetPropertiesClass() const override { return TcxCustomMemoProperties::StaticClass(); }
  TcxCustomMemoProperties* ActiveProperties() {
    return static_cast<TcxCustomMemoProperties*>(TcxCustomEdit::ActiveProperties());
  }
  TcxCustomMemoProperties* Properties() {
    return static_cast<TcxCustomMemoProperties*>(TcxCustomEdit::Properties());
  }
  IcxInnerMemo* InnerMemo() const { return dynamic_cast<IcxInnerMemo*>(InnerEdit()); }

  // The inner memo's lines themselves: changes act on the control at once.
  TStrings* Lines() const;
  void SetLines(TStrings* Value);
  // Column X, line Y.
  TPoint CaretPos();
  void SetCaretPos(const TPoint& Value);

  void ClearSelection() override;
  void CutToClipboard() override;
  void PropertiesChanged(TObject* Sender) override;
  bool SupportsSpelling() override { return IsTextInputMode(); }
  // Stand-alone with at least one visible line.
  bool CanAutoSize() override;

 protected:
  friend class TcxCustomInnerMemo;
  TClass GetInnerEditClass() override { return TcxCustomInnerMemo::StaticClass(); }
  bool IsEditClass() override { return true; }
  bool NeedsScrollBars() override { return true; }
  bool CanScrollLineWithoutScrollBars(TcxDirection ADirection) override;
  void Scroll(TScrollBarKind AScrollBarKind, TScrollCode AScrollCode, int32_t& AScrollPos) override;
  void AdjustInnerEditPosition() override;
  void ChangeHandler(TObject* Sender) override;
  void DoEditKeyDown(WORD& Key, TShiftState Shift) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void InitializeViewData(TcxCustomEditViewData* AViewData) override;
  bool CanKeyPressModifyEdit(Char Key) override;
  bool SendActivationKey(Char Key) override { return Key != u'\r'; }
  void DoSetSelText(const String& Value) override;
  void Loaded() override;
  void WndProc(TMessage& Message) override;
  void CreateParams(TCreateParams& Params) override;

  virtual bool CanMemoKeyModifyEdit(WORD Key, TShiftState Shift, bool AFromKeyPress);
  // Unless a user action is in progress, the edit value follows the inner control's text.
  void InternalSynchronizeEditValue();

 private:
  // The memo's own start: 185 x 89 (run once, at the latest when it gets a parent).
  void InitializeMemo();
  bool FInternalAction = false;
  bool FInnerEditPositionAdjusting = false;
  bool FMemoInitialized = false;
};

class TcxMemo : public TcxCustomMemo {
  QD_CLASS(TcxMemo, TcxCustomMemo)
  QD_PUBLISHED(TcxMemo)

 public:
  using TcxCustomMemo::TcxCustomMemo;
  TClass GetPropertiesClass() const override { return TcxMemoProperties::StaticClass(); }
  TcxMemoProperties* Properties() { return static_cast<TcxMemoProperties*>(TcxCustomEdit::Properties()); }
  void SetProperties(TcxMemoProperties* Value) { TcxCustomEdit::SetProperties(Value); }
  void SetEditStyle(TcxEditStyle* Value) { Style()->Assign(Value); }
  void SetEditStyleDisabled(TcxEditStyle* Value) { StyleDisabled()->Assign(Value); }
  void SetEditStyleFocused(TcxEditStyle* Value) { StyleFocused()->Assign(Value); }
  void SetEditStyleHot(TcxEditStyle* Value) { StyleHot()->Assign(Value); }
};

// Memo columns are filtered by text patterns and blanks only.
class TcxFilterMemoHelper : public TcxFilterTextEditHelper {
  QD_CLASS(TcxFilterMemoHelper, TcxFilterTextEditHelper)

 public:
  static TcxFilterEditHelperClass Class();
  TcxFilterControlOperators GetSupportedFilterOperators(TcxCustomEditProperties* AProperties,
                                                        TcxValueTypeClass AValueTypeClass,
                                                        bool AExtendedSet = false) const override;
};

namespace cxMemo {
void Initialize();
void Finalize();
}  // namespace cxMemo

}  // namespace qd
