#pragma once
// Mask editing: the mask modes that hold the rules of one mask language for one mask
// editor (what a typed character does, how Delete, Backspace, the arrows, Home and End move
// the caret and change the text, how pasted text is fitted in, how a value is formatted).
// A mode reaches its editor only through IMaskModeHost.
#include <cstdint>
#include <memory>

#include "platform/base/set.h"
#include "platform/base/types.h"
#include "platform/forms/controls.h"
#include "platform/forms/stdctrls.h"
#include "ui/editors/cxEdit.h"
#include "ui/editors/cxRegExpr.h"
#include "ui/editors/cxStandardMask.h"
#include "ui/editors/cxTextEdit.h"

namespace qd {

enum TcxEditMaskKind : uint8_t { emkStandard, emkRegExpr, emkRegExprEx };
using TcxEditMask = String;

// An invalid regular-expression mask: "Regular expression errors:" and one line per error.
class EcxMaskEditError : public EcxEditError {
  QD_CLASS(EcxMaskEditError, EcxEditError)

 public:
  using EcxEditError::EcxEditError;
};

// The mask is empty or holds only white space (NUL, TAB, LF, FF, CR, space).
bool cxIsBlankMask(const String& AMask);

// The settings of a mask editor that its mode reads.
class IMaskModeProperties {
 public:
  virtual ~IMaskModeProperties() = default;
  virtual bool BeepOnError() const = 0;
  virtual bool CaseInsensitive() const = 0;
  virtual bool IgnoreMaskBlank() const = 0;
};

// What a mask mode needs of its mask editor and the editor's inner edit control.
class IMaskModeHost {
 public:
  virtual ~IMaskModeHost() = default;
  virtual IMaskModeProperties* ActiveProperties() = 0;
  // The editor is being destroyed or has no inner edit yet: the mode leaves it alone.
  virtual bool PropertiesChangeLocked() const = 0;
  // The editor's window exists.
  virtual bool HandleAllocated() const = 0;

  // The inner edit's text, selection and caret (UTF-16 positions).
  virtual String Text() const = 0;
  virtual int32_t SelStart() const = 0;
  virtual int32_t SelLength() const = 0;
  virtual int32_t CursorPos() const = 0;
  // Selection changes made by the mode itself (the editor does not report them back to
  // the mode as the user's). Setting the start leaves no selection; setting the length
  // selects from the start.
  virtual void DirectSetSelStart(int32_t AValue) = 0;
  virtual void DirectSetSelLength(int32_t AValue) = 0;

  // Text written by the mode; the mode places the caret afterwards.
  virtual void SetInternalDisplayValue(const String& AValue) = 0;
  virtual void SetDataBindingDisplayValue(const String& AValue) = 0;
  virtual void SetInternalEditValue(const String& AValue) = 0;
  // The display text of the editor's edit value, prepared by the properties for the
  // editor's focused state.
  virtual String PreparedDisplayValue() = 0;
  virtual bool ModifiedAfterEnter() const = 0;
  virtual void LockChangeEvents(bool ALock, bool AInvokeChangedOnUnlock = true) = 0;

  // Key strokes sent to the inner edit as the editor's own messages, which the editor does
  // not process again; the inner edit reads the real Shift state.
  virtual void SendMyKeyDown(uint16_t AKey, TShiftState AShift) = 0;
  virtual void SendMyKeyPress(Char AKey) = 0;

  // Shift was held for the key being handled.
  virtual bool ShiftOn() const = 0;
  virtual void SetShiftOn(bool AValue) = 0;
  // Lets an editor refuse a character for a (1-based) position, or clear it to #0 to make
  // the standard mode beep.
  virtual bool IsCharValidForPos(Char& AChar, int32_t APos) = 0;
};

class TcxMaskEditCustomMode {
 public:
  TcxMaskEditCustomMode(IMaskModeHost* AEdit, IMaskModeProperties* AProperties);
  virtual ~TcxMaskEditCustomMode() = default;
  TcxMaskEditCustomMode(const TcxMaskEditCustomMode&) = delete;
  TcxMaskEditCustomMode& operator=(const TcxMaskEditCustomMode&) = delete;

  virtual TcxEditMaskKind GetMaskKind() const = 0;
  // Decides the text that results when AText replaces the selection; false when the mode
  // leaves it to the text editor.
  virtual bool ProcessSelText(const String& AText, String& AResultText, int32_t& ANewCursorPos);
  virtual void AfterPasteFromClipboard() {}
  virtual void Compile(const TcxEditMask& AMask) = 0;
  virtual String GetEmptyString() = 0;
  virtual String GetFormattedText(const String& AText, bool AMatchForBlanksAndLiterals = true) = 0;
  virtual void GotoEnd() {}
  virtual bool IsCursorBegin() = 0;
  virtual bool IsCursorEnd() = 0;
  virtual bool IsFullValidText(const String& AText) = 0;
  virtual void LMouseDown(TShiftState AShift) = 0;
  virtual void PrePasteFromClipboard() {}
  virtual bool PressBackSpace() = 0;
  virtual bool PressDelete() = 0;
  virtual bool PressEnd() = 0;
  virtual bool PressHome() = 0;
  virtual bool PressLeft() = 0;
  virtual bool PressRight() = 0;
  // The mode may change the symbol (its case); true lets the inner edit insert it.
  virtual bool PressSymbol(Char& ASymbol) = 0;
  virtual void SetText(const String& AText) {}
  virtual void SynchronizeEditValue();
  virtual void UpdateEditValue() {}
  virtual String GetUpdatedText(const String& AText, bool AMatchForBlanksAndLiterals = true) = 0;

  IMaskModeProperties* GetProperties() const;
  bool HasEdit() const { return FEdit && !FEdit->PropertiesChangeLocked(); }
  void BeepOnError() const;

  IMaskModeHost* Edit() const { return FEdit; }
  const TcxEditMask& EditMask() const { return FEditMask; }
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase AValue) { FCharCase = AValue; }
  int32_t ClipboardTextLength() const { return FClipboardTextLength; }
  void SetClipboardTextLength(int32_t AValue) { FClipboardTextLength = AValue; }

 protected:
  IMaskModeHost* FEdit;
  IMaskModeProperties* FProperties;
  TcxEditMask FEditMask;
  TEditCharCase FCharCase = ecNormal;
  int32_t FClipboardTextLength = 0;
  bool FNeedUpdateEditValue = false;
};

// The standard mask: the text always holds one character per mask position, and the caret
// is shown as a one-character selection.
class TcxMaskEditStandardMode : public TcxMaskEditCustomMode {
 public:
  TcxMaskEditStandardMode(IMaskModeHost* AEdit, IMaskModeProperties* AProperties);

  TcxEditMaskKind GetMaskKind() const override { return emkStandard; }
  bool ProcessSelText(const String& AText, String& AResultText, int32_t& ANewCursorPos) override;
  void AfterPasteFromClipboard() override;
  void Compile(const TcxEditMask& AMask) override;
  String GetEmptyString() override { return FMask->EmptyString(); }
  String GetFormattedText(const String& AText, bool AMatchForBlanksAndLiterals = true) override;
  bool IsCursorBegin() override;
  bool IsCursorEnd() override;
  bool IsFullValidText(const String& AText) override;
  void LMouseDown(TShiftState AShift) override;
  void PrePasteFromClipboard() override;
  bool PressBackSpace() override;
  bool PressDelete() override;
  bool PressEnd() override;
  bool PressHome() override;
  bool PressLeft() override;
  bool PressRight() override;
  bool PressSymbol(Char& ASymbol) override;
  void SetText(const String& AText) override;
  void SynchronizeEditValue() override;
  void UpdateEditValue() override;
  String GetUpdatedText(const String& AText, bool AMatchForBlanksAndLiterals = true) override;
  virtual Char GetBlank(int32_t APos) const { return FMask->Blank(); }

  const TcxStandardMask& Mask() const { return *FMask; }

 private:
  bool IsLiteralPos(int32_t APos) const {
    return APos >= 0 && APos < FMask->Count() && FMask->IsLiteral(APos);
  }
  // A plain caret, shown as the block over the character after it.
  void SetCursor(int32_t APos);

  std::unique_ptr<TcxStandardMask> FMask;
  int32_t FSelStart = 0;
};

// A regular expression matched character by character: the text left of the caret (the
// head) has been fed to the engine; the text right of it is the tail. Between actions the
// editor's text is head + tail and the caret stands at the end of the head.
class TcxMaskEditRegExprMode : public TcxMaskEditCustomMode {
 public:
  TcxMaskEditRegExprMode(IMaskModeHost* AEdit, IMaskModeProperties* AProperties);

  TcxEditMaskKind GetMaskKind() const override { return emkRegExpr; }
  void Compile(const TcxEditMask& AMask) override;
  String GetEmptyString() override { return {}; }
  String GetFormattedText(const String& AText, bool AMatchForBlanksAndLiterals = true) override;
  void GotoEnd() override;
  bool IsCursorBegin() override;
  bool IsCursorEnd() override;
  bool IsFullValidText(const String& AText) override;
  void LMouseDown(TShiftState AShift) override { FMouseAction = true; }
  bool PressBackSpace() override;
  bool PressDelete() override;
  bool PressEnd() override;
  bool PressHome() override;
  bool PressLeft() override;
  bool PressRight() override;
  bool PressSymbol(Char& ASymbol) override;
  void SetText(const String& AText) override;
  void SynchronizeEditValue() override;
  String GetUpdatedText(const String& AText, bool AMatchForBlanksAndLiterals = true) override {
    return AText;
  }

  // Reads the properties' CaseInsensitive into the engine.
  void SetRegExprCaseInsensitive();
  const String& Head() const { return FHead; }
  const String& Tail() const { return FTail; }
  TcxRegExpr& RegExpr() const { return *FRegExpr; }

 protected:
  virtual bool NeedReset();
  virtual void CursorCorrection();
  virtual void DeleteSelection();
  virtual void RestoreSelection();

  void ClearTail();
  void CompileRegExpr(const TcxEditMask& AMask);
  // Whether the whole tail fits after the head; the engine is left where it was.
  bool NextTail();
  void Reset(const String& AText);
  // Every character fits and, unless blanks are ignored, the match is complete. The
  // scratch engine is compiled from this engine's source.
  bool IsValidByScratchEngine(const String& AText);
  // A mask is set and compiled.
  bool IsCompiled() const;
  String EditText() const { return FEdit ? FEdit->Text() : String(); }
  // Moves characters between the head and the tail, stepping the engine.
  void MoveToHead(size_t ACount);
  void MoveToTail(size_t ACount);
  // Left and Right on a selection without Shift put the cursor on that side of it; true when
  // the key needs nothing more.
  bool CollapseSelectionLeft();
  bool CollapseSelectionRight();

  std::unique_ptr<TcxRegExpr> FRegExpr;
  String FHead;
  String FTail;
  String FSelect;
  bool FBeginCursor = false;
  bool FMouseAction = false;
};

// The regular expression with the characters it forces (literals such as separators)
// inserted by the mode itself after every accepted character.
class TcxMaskEditRegExprExMode : public TcxMaskEditRegExprMode {
 public:
  TcxMaskEditRegExprExMode(IMaskModeHost* AEdit, IMaskModeProperties* AProperties);

  TcxEditMaskKind GetMaskKind() const override { return emkRegExprEx; }
  void Compile(const TcxEditMask& AMask) override;
  String GetEmptyString() override;
  String GetFormattedText(const String& AText, bool AMatchForBlanksAndLiterals = true) override;
  void GotoEnd() override;
  bool IsFullValidText(const String& AText) override;
  void PrePasteFromClipboard() override { CursorCorrection(); }
  bool PressBackSpace() override;
  bool PressDelete() override;
  bool PressEnd() override;
  bool PressHome() override;
  bool PressLeft() override;
  bool PressRight() override;
  bool PressSymbol(Char& ASymbol) override;
  void SetText(const String& AText) override;
  void UpdateEditValue() override;

  void Clear() {
    FUpdate.clear();
    FDeleteNumber = 0;
  }

 protected:
  void CursorCorrection() override;

 private:
  void SymbolDelete() { ++FDeleteNumber; }
  void SymbolUpdate(Char ASymbol) { FUpdate += ASymbol; }
  // The forced characters at the start of the expression.
  String LeadingForced();
  void SetUpdateOn(bool AValue) { FRegExpr->SetUpdateOn(AValue); }
  // Feeds the forced characters that follow the engine's state (appended to FUpdate);
  // yields how many.
  size_t Complete();
  // A step forward with the forced characters after it (FUpdate holds them), and a step
  // back over the forced characters before the last one (FDeleteNumber counts them).
  bool NextForced(Char& AToken);
  bool PrevForced();
  // One tail character and the forced characters after it into the head, or the last
  // character and the forced ones before it back into the tail; the number moved.
  size_t StepRight();
  size_t StepLeft();
  // A selection from the start keeps the forced characters there: it is made to begin
  // after them. True when it was changed.
  bool KeepLeadingForced();
  // Re-fits the tail after the head: the forced characters after it are added, or the
  // tail goes when it no longer fits.
  void RefitTail();
  void UpdateTail();

  String FUpdate;
  int32_t FDeleteNumber = 0;
  String FInternalUpdate;
};

// --- The mask editor ---------------------------------------------------------------------------

class TcxCustomMaskEdit;

// The settings of a mask editor: the mask language, the mask, and how blanks, literals and
// letter case are treated. Without a mask (an empty or blank one) they are the text
// editor's settings.
class TcxCustomMaskEditProperties : public TcxCustomTextEditProperties, public IMaskModeProperties {
  QD_CLASS(TcxCustomMaskEditProperties, TcxCustomTextEditProperties)

 public:
  explicit TcxCustomMaskEditProperties(TPersistent* AOwner);
  ~TcxCustomMaskEditProperties() override;

  // IMaskModeProperties
  bool BeepOnError() const override { return TcxCustomTextEditProperties::BeepOnError(); }
  bool CaseInsensitive() const override { return FCaseInsensitive; }
  bool IgnoreMaskBlank() const override { return FIgnoreMaskBlank; }

  bool AlwaysShowBlanksAndLiterals() const { return FAlwaysShowBlanksAndLiterals; }
  void SetAlwaysShowBlanksAndLiterals(bool Value) { SetValue(FAlwaysShowBlanksAndLiterals, Value); }
  // Stored as true whenever CharCase is not ecNormal; always announced.
  void SetCaseInsensitive(bool Value);
  void SetIgnoreMaskBlank(bool Value) { SetValue(FIgnoreMaskBlank, Value); }
  TcxEditMaskKind MaskKind() const { return FMaskKind; }
  void SetMaskKind(TcxEditMaskKind Value) { SetValue(FMaskKind, Value); }
  // The stored mask; a standard kind with a blank mask takes the provider's default mask.
  String EditMask() const;
  // An invalid regular expression raises EcxMaskEditError and keeps the previous mask.
  void SetEditMask(const String& Value);
  const String& StoredEditMask() const { return FEditMask; }
  // The effective mask is neither empty nor only white space.
  bool IsMasked() const { return !cxIsBlankMask(EditMask()); }
  // The current mode's empty text (kept up to date by the editor).
  const String& EmptyString() const { return FEmptyString; }
  // A new mode of the kind, for AEdit (nil: a formatting mode).
  virtual std::unique_ptr<TcxMaskEditCustomMode> CreateMode(TcxEditMaskKind AMaskKind, IMaskModeHost* AEdit);

  void SetCharCase(TEditCharCase Value) override;
  TClass GetContainerClass() const override;
  TcxEditDisplayFormatOptions GetDisplayFormatOptions() override;
  TcxEditSupportedOperations GetSupportedOperations() override;
  bool IsEditValueValid(Variant& EditValue, bool AEditFocused) override;
  void ValidateDisplayValue(Variant& ADisplayValue, String& AErrorText, bool& AError,
                            const TValidateHandler& AValidator = nullptr,
                            const Variant* ACurrentDisplayValue = nullptr) override;
  void DoPrepareDisplayValue(const Variant& AEditValue, Variant& ADisplayValue, bool AEditFocused) override;
  void MaxLengthChanged() override;
  bool UseLookupData() override;

 protected:
  friend class TcxCustomMaskEdit;
  void DoAssign(TcxCustomEditProperties* Source) override;
  void DoChanged() override;
  // The cached formatting mode, made again when the kind or the mask changed.
  TcxMaskEditCustomMode* FormattingMode();

 private:
  TcxEditMaskKind FMaskKind = emkStandard;
  String FEditMask;
  bool FCaseInsensitive = true;
  bool FIgnoreMaskBlank = false;
  bool FAlwaysShowBlanksAndLiterals = false;
  String FEmptyString;
  std::unique_ptr<TcxMaskEditCustomMode> FTempMode;
  bool FMaxLengthSetting = false;
};

class TcxMaskEditProperties : public TcxCustomMaskEditProperties {
  QD_CLASS(TcxMaskEditProperties, TcxCustomMaskEditProperties)
  QD_PUBLISHED(TcxMaskEditProperties)

 public:
  using TcxCustomMaskEditProperties::TcxCustomMaskEditProperties;
};

// The text editor with an input mask: a mask mode decides what keys, clicks and pasted text
// do. Without a mask it behaves as the text editor.
class TcxCustomMaskEdit : public TcxCustomTextEdit {
  QD_CLASS(TcxCustomMaskEdit, TcxCustomTextEdit)

 public:
  explicit TcxCustomMaskEdit(TComponent* AOwner) : TcxCustomMaskEdit(AOwner, false) {}
  TcxCustomMaskEdit(TComponent* AOwner, bool AIsInplace);
  ~TcxCustomMaskEdit() override;
  void AfterConstruction() override;

  TClass GetPropertiesClass() const override { return TcxCustomMaskEditProperties::StaticClass(); }
  TcxCustomMaskEditProperties* ActiveProperties() {
    return static_cast<TcxCustomMaskEditProperties*>(TcxCustomEdit::ActiveProperties());
  }
  TcxCustomMaskEditProperties* Properties() {
    return static_cast<TcxCustomMaskEditProperties*>(TcxCustomEdit::Properties());
  }
  TcxMaskEditCustomMode* Mode() const { return FMode.get(); }
  bool IsMasked() { return ActiveProperties()->IsMasked(); }
  // The inner edit's text, and a text set in the form the mode shows.
  String EditText() { return GetDisplayText(); }
  void SetEditText(const String& Value);
  // The value form of the current text.
  const String& MaskText() const { return FMaskText; }

  void CutToClipboard() override;
  void PasteFromClipboard() override;
  bool CanChangeSelText(const String& Value, String& ANewText, int32_t& ANewSelStart) override;
  bool IsTextInputMode() override;
  void PropertiesChanged(TObject* Sender) override;

 protected:
  virtual bool CanSynchronizeModeText() { return true; }
  // Lets a descendant refuse a character for a (1-based) position, or clear it to #0 so
  // that the standard mode beeps.
  virtual bool IsCharValidForPos(Char& AChar, int32_t APos) { return true; }
  virtual void UpdateTextFormatting();

  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void DoEditKeyDown(WORD& Key, TShiftState Shift) override;
  void DoEditKeyPress(Char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  void DoEnter() override;
  void SelChange(TObject* Sender) override;
  void DoSetSelText(const String& Value) override;
  void ChangeHandler(TObject* Sender) override;
  void InternalGetText(String& AText) override { AText = FMaskText; }
  bool InternalSetText(const String& AText) override;
  void InternalSetDisplayValue(const Variant& Value) override;
  void SynchronizeDisplayValue() override;
  void UndoPerformed() override;
  void PrepareEditValue(const Variant& ADisplayValue, Variant& EditValue, bool AEditFocused) override;
  void Loaded() override;

  void SendMyKeyDown(WORD AKey, TShiftState AShift);
  void SendMyKeyPress(Char AKey);
  void DirectSetSelStart(int32_t AValue);
  void DirectSetSelLength(int32_t AValue);

 private:
  class THost;
  friend class THost;
  // The text formatted for the focus state: the full form, or the value form of an
  // unfocused standard mask.
  String FormatEditText(const String& AText);
  void InternalSetValue(const String& AText);
  String InternalGetEmptyString();

  std::unique_ptr<THost> FHost;
  std::unique_ptr<TcxMaskEditCustomMode> FMode;
  String FMaskText;
  bool FShiftOn = false;
  bool FMyMessage = false;
  bool FInternalTextSelection = false;
};

// The published mask editor.
class TcxMaskEdit : public TcxCustomMaskEdit {
  QD_CLASS(TcxMaskEdit, TcxCustomMaskEdit)
  QD_PUBLISHED(TcxMaskEdit)

 public:
  using TcxCustomMaskEdit::TcxCustomMaskEdit;
  TClass GetPropertiesClass() const override { return TcxMaskEditProperties::StaticClass(); }
  TcxMaskEditProperties* Properties() {
    return static_cast<TcxMaskEditProperties*>(TcxCustomEdit::Properties());
  }
  TcxMaskEditProperties* ActiveProperties() {
    return static_cast<TcxMaskEditProperties*>(TcxCustomEdit::ActiveProperties());
  }
};

namespace cxMaskEdit {
void Initialize();
void Finalize();
}  // namespace cxMaskEdit

}  // namespace qd
