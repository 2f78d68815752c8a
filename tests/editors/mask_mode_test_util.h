#pragma once
// A stand-in for the mask editor: a single-line edit (text, anchor and caret, the keys the
// system edit control handles) with the mask editor's routing of keys, clicks and pastes
// to its mask mode.
#include <algorithm>
#include <memory>
#include <string>

#include "platform/base/strings.h"
#include "platform/os/user.h"
#include "ui/editors/cxMaskEdit.h"

namespace qd::test {

class FakeMaskEdit : public IMaskModeHost, public IMaskModeProperties {
 public:
  // The mode is created for the kind and compiles the mask; the text starts as the mode's
  // empty text (the full empty form for a standard mask).
  FakeMaskEdit(TcxEditMaskKind AKind, const String& AMask, bool ACaseInsensitive = true) {
    FCaseInsensitive = ACaseInsensitive;
    switch (AKind) {
      case emkStandard:
        FMode = std::make_unique<TcxMaskEditStandardMode>(this, nullptr);
        break;
      case emkRegExpr:
        FMode = std::make_unique<TcxMaskEditRegExprMode>(this, nullptr);
        break;
      default:
        FMode = std::make_unique<TcxMaskEditRegExprExMode>(this, nullptr);
        break;
    }
    FMode->Compile(AMask);
    SetEditText(AKind == emkStandard ? FMode->GetFormattedText(u"") : FMode->GetEmptyString());
  }

  TcxMaskEditCustomMode& Mode() { return *FMode; }

  // --- What the user does ---------------------------------------------------------------

  // Text set from outside (a new edit value): formatted by the mode, caret at the end.
  void SetEditText(const String& AText) {
    FText = AText;
    FAnchor = FCaret = Length();
    FMode->SetText(FText);
  }
  void Type(const String& AChars) {
    for (Char c : AChars) KeyPress(c);
  }
  void KeyPress(Char AKey) {
    if (AKey == VK_BACK) {
      if (FMode->PressBackSpace()) EditChar(AKey);
      return;
    }
    Char key = AKey;
    if (FMode->PressSymbol(key)) EditChar(key);
  }
  void KeyDown(uint16_t AKey, bool AShift = false) {
    FShiftDown = AShift;
    FShiftOn = AShift;
    bool pass = true;
    switch (AKey) {
      case VK_LEFT:
        pass = FMode->PressLeft();
        break;
      case VK_RIGHT:
        pass = FMode->PressRight();
        break;
      case VK_HOME:
        pass = FMode->PressHome();
        break;
      case VK_END:
        pass = FMode->PressEnd();
        break;
      case VK_DELETE:
        pass = FMode->PressDelete();
        break;
      default:
        break;
    }
    if (pass) EditKeyDown(AKey);
    FShiftDown = false;
  }
  void Backspace() { KeyPress(Char(VK_BACK)); }
  // A click places the caret; with Shift it extends the selection.
  void Click(int32_t APos, bool AShift = false) {
    FCaret = std::clamp(APos, 0, Length());
    if (!AShift) FAnchor = FCaret;
    FMode->LMouseDown(AShift ? TShiftState{ssShift, ssLeft} : TShiftState{ssLeft});
  }
  // Selects from the anchor to the caret, as a drag would.
  void Select(int32_t AAnchor, int32_t ACaret) {
    FAnchor = std::clamp(AAnchor, 0, Length());
    FCaret = std::clamp(ACaret, 0, Length());
    FMode->LMouseDown({ssLeft});
  }
  // The mask editor's paste: the mode fits the text in, or the edit replaces the selection.
  void Paste(const String& AText) {
    FMode->SetClipboardTextLength(static_cast<int32_t>(AText.size()));
    FMode->PressDelete();
    FMode->PrePasteFromClipboard();
    String result;
    int32_t cursor = 0;
    if (FMode->ProcessSelText(AText, result, cursor)) {
      FText = result;
      FAnchor = FCaret = cursor;
    } else {
      ReplaceSelection(AText);
      FMode->SetText(FText);
    }
    FMode->AfterPasteFromClipboard();
  }

  // --- IMaskModeHost ----------------------------------------------------------------------

  IMaskModeProperties* ActiveProperties() override { return this; }
  bool PropertiesChangeLocked() const override { return false; }
  bool HandleAllocated() const override { return true; }
  String Text() const override { return FText; }
  int32_t SelStart() const override { return std::min(FAnchor, FCaret); }
  int32_t SelLength() const override { return std::abs(FAnchor - FCaret); }
  int32_t CursorPos() const override { return FCaret; }
  void DirectSetSelStart(int32_t AValue) override { FAnchor = FCaret = std::clamp(AValue, 0, Length()); }
  void DirectSetSelLength(int32_t AValue) override {
    FAnchor = SelStart();
    FCaret = std::clamp(FAnchor + AValue, 0, Length());
  }
  void SetInternalDisplayValue(const String& AValue) override { SetShownText(AValue); }
  void SetDataBindingDisplayValue(const String& AValue) override { SetShownText(AValue); }
  void SetInternalEditValue(const String& AValue) override { EditValue = AValue; }
  String PreparedDisplayValue() override { return EditValue; }
  bool ModifiedAfterEnter() const override { return false; }
  void LockChangeEvents(bool ALock, bool) override { ChangeEventsLocked += ALock ? 1 : -1; }
  void SendMyKeyDown(uint16_t AKey, TShiftState) override { EditKeyDown(AKey); }
  void SendMyKeyPress(Char AKey) override { EditChar(AKey); }
  bool ShiftOn() const override { return FShiftOn; }
  void SetShiftOn(bool AValue) override { FShiftOn = AValue; }
  bool IsCharValidForPos(Char& AChar, int32_t APos) override {
    if (APos == ClearedPos) AChar = 0;
    return APos != RefusedPos;
  }

  // --- IMaskModeProperties ---------------------------------------------------------------

  bool BeepOnError() const override { return FBeepOnError; }
  bool CaseInsensitive() const override { return FCaseInsensitive; }
  bool IgnoreMaskBlank() const override { return FIgnoreMaskBlank; }

  String EditValue;
  int ChangeEventsLocked = 0;
  int32_t RefusedPos = -1;  // IsCharValidForPos refuses this 1-based position
  int32_t ClearedPos = -1;  // and clears the character for this one
  bool FBeepOnError = true;
  bool FCaseInsensitive = true;
  bool FIgnoreMaskBlank = false;

 private:
  int32_t Length() const { return static_cast<int32_t>(FText.size()); }
  // A new text leaves the caret at the start, as the system edit does.
  void SetShownText(const String& AValue) {
    FText = AValue;
    FAnchor = FCaret = 0;
  }
  void ReplaceSelection(const String& AText) {
    const int32_t start = SelStart();
    FText.replace(static_cast<size_t>(start), static_cast<size_t>(SelLength()), AText);
    FAnchor = FCaret = start + static_cast<int32_t>(AText.size());
  }
  // The system edit's own handling of a key; it reads the real Shift state.
  void EditKeyDown(uint16_t AKey) {
    const bool hadSelection = FAnchor != FCaret;
    int32_t caret = FCaret;
    switch (AKey) {
      case VK_LEFT:
        if (hadSelection && !FShiftDown) {
          FAnchor = FCaret = SelStart();
          return;
        }
        caret = std::max(caret - 1, 0);
        break;
      case VK_RIGHT:
        if (hadSelection && !FShiftDown) {
          FAnchor = FCaret = SelStart() + SelLength();
          return;
        }
        caret = std::min(caret + 1, Length());
        break;
      case VK_HOME:
        caret = 0;
        break;
      case VK_END:
        caret = Length();
        break;
      case VK_DELETE:
        if (hadSelection) {
          ReplaceSelection({});
        } else if (FCaret < Length()) {
          FText.erase(static_cast<size_t>(FCaret), 1);
        }
        return;
      default:
        return;
    }
    FCaret = caret;
    if (!FShiftDown) FAnchor = caret;
  }
  void EditChar(Char AKey) {
    if (AKey == VK_BACK) {
      if (FAnchor != FCaret) {
        ReplaceSelection({});
      } else if (FCaret > 0) {
        FText.erase(static_cast<size_t>(--FCaret), 1);
        FAnchor = FCaret;
      }
      return;
    }
    ReplaceSelection(String(1, AKey));
  }

  std::unique_ptr<TcxMaskEditCustomMode> FMode;
  String FText;
  int32_t FAnchor = 0;
  int32_t FCaret = 0;
  bool FShiftDown = false;  // the real Shift key
  bool FShiftOn = false;    // the editor's record of it
};

}  // namespace qd::test
