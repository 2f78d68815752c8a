#include "ui/editors/cxMaskEdit.h"

#include <algorithm>

#include "platform/base/scopeexit.h"
#include "platform/base/strings.h"
#include "platform/os/user.h"
#include "ui/editors/cxEditConsts.h"

namespace qd {

QD_IMPLEMENT_CLASS(EcxMaskEditError)

namespace {

int32_t MaskLength(const String& AText) {
  return static_cast<int32_t>(AText.size());
}

}  // namespace

bool cxIsBlankMask(const String& AMask) {
  return std::all_of(AMask.begin(), AMask.end(), [](Char C) { return TcxRegExprSpace::IsSpace(C); });
}

// --- TcxMaskEditCustomMode ------------------------------------------------------------

TcxMaskEditCustomMode::TcxMaskEditCustomMode(IMaskModeHost* AEdit, IMaskModeProperties* AProperties)
    : FEdit(AEdit), FProperties(AProperties) {}

bool TcxMaskEditCustomMode::ProcessSelText(const String&, String&, int32_t&) {
  return false;
}

IMaskModeProperties* TcxMaskEditCustomMode::GetProperties() const {
  return FEdit ? FEdit->ActiveProperties() : FProperties;
}

void TcxMaskEditCustomMode::BeepOnError() const {
  IMaskModeProperties* properties = GetProperties();
  if (properties && properties->BeepOnError()) MessageBeep(0);
}

void TcxMaskEditCustomMode::SynchronizeEditValue() {
  if (!HasEdit()) return;
  const String value =
      FEdit->ModifiedAfterEnter() ? GetFormattedText(FEdit->Text(), true) : FEdit->PreparedDisplayValue();
  FEdit->SetInternalDisplayValue(value);
}

// --- TcxMaskEditStandardMode ----------------------------------------------------------

TcxMaskEditStandardMode::TcxMaskEditStandardMode(IMaskModeHost* AEdit, IMaskModeProperties* AProperties)
    : TcxMaskEditCustomMode(AEdit, AProperties), FMask(std::make_unique<TcxStandardMask>()) {}

void TcxMaskEditStandardMode::Compile(const TcxEditMask& AMask) {
  FEditMask = AMask;
  FMask->Compile(cxIsBlankMask(AMask) ? String() : AMask);
  if (!HasEdit()) FNeedUpdateEditValue = true;
}

String TcxMaskEditStandardMode::GetFormattedText(const String& AText, bool AMatchForBlanksAndLiterals) {
  String result = AText;
  FMask->Format(result, true, AMatchForBlanksAndLiterals);
  return result;
}

String TcxMaskEditStandardMode::GetUpdatedText(const String& AText, bool AMatchForBlanksAndLiterals) {
  if (FMask->Count() == 0) return AText;
  String result = AText;
  FMask->Format(result, FCharCase == ecNormal, AMatchForBlanksAndLiterals);
  FMask->Format2(result);
  return result;
}

bool TcxMaskEditStandardMode::IsFullValidText(const String& AText) {
  String text = AText;
  if (FMask->IsFullValid(text)) return true;
  IMaskModeProperties* properties = GetProperties();
  return properties && properties->IgnoreMaskBlank() && AText == GetFormattedText(String(), true);
}

void TcxMaskEditStandardMode::UpdateEditValue() {
  if (!FNeedUpdateEditValue || !FEdit) return;
  FEdit->SetInternalEditValue(FMask->EmptyString());
  FNeedUpdateEditValue = false;
}

void TcxMaskEditStandardMode::SetCursor(int32_t APos) {
  FEdit->DirectSetSelStart(APos);
  if (FMask->Count() > 0 && APos < MaskLength(FEdit->Text())) FEdit->DirectSetSelLength(1);
}

void TcxMaskEditStandardMode::LMouseDown(TShiftState) {
  if (FEdit && FEdit->HandleAllocated() && FMask->Count() > 0 && FEdit->SelLength() == 0 &&
      FEdit->SelStart() < MaskLength(FEdit->Text()))
    FEdit->DirectSetSelLength(1);
}

void TcxMaskEditStandardMode::SetText(const String&) {
  LMouseDown({});
}

void TcxMaskEditStandardMode::SynchronizeEditValue() {
  TcxMaskEditCustomMode::SynchronizeEditValue();
  LMouseDown({});
}

bool TcxMaskEditStandardMode::PressSymbol(Char& ASymbol) {
  const int32_t length = MaskLength(FEdit->Text());
  const int32_t pos = FEdit->SelStart();
  if (length == 0 || pos >= length) return false;
  if (IsLiteralPos(pos)) {
    FEdit->SetShiftOn(false);
    if (FEdit->SelLength() > 1) PressDelete();
    const int32_t before = FEdit->SelStart();
    PressRight();
    if (FEdit->SelStart() != before) PressSymbol(ASymbol);
    return false;
  }
  if (pos >= FMask->Count()) return false;
  Char symbol = ASymbol;
  if (!FMask->Items(pos)->Check(symbol)) return false;
  if (!FEdit->IsCharValidForPos(symbol, pos + 1)) return false;
  if (symbol == 0) {
    BeepOnError();
    return false;
  }
  if (FEdit->SelLength() > 1) PressDelete();
  String text = FEdit->Text();
  text[static_cast<size_t>(pos)] = symbol;
  FEdit->SetInternalDisplayValue(text);
  FEdit->DirectSetSelStart(pos);
  ASymbol = symbol;
  FEdit->SetShiftOn(false);
  PressRight();
  return false;
}

// Blanks the class positions of the selection; literals stay.
bool TcxMaskEditStandardMode::PressDelete() {
  const int32_t start = FEdit->SelStart();
  const int32_t count = FEdit->SelLength();
  if (count == 0) return false;
  FEdit->LockChangeEvents(true);
  auto unlock = ScopeExit([this] { FEdit->LockChangeEvents(false); });
  String text = FEdit->Text();
  const int32_t finish = std::min(start + count, MaskLength(text));
  for (int32_t i = start; i < finish; ++i)
    if (!IsLiteralPos(i)) text[static_cast<size_t>(i)] = GetBlank(i);
  FEdit->SetInternalDisplayValue(text);
  SetCursor(start);
  return false;
}

bool TcxMaskEditStandardMode::PressBackSpace() {
  if (FEdit->SelLength() <= 1) PressLeft();
  PressDelete();
  return false;
}

bool TcxMaskEditStandardMode::PressLeft() {
  const int32_t start = FEdit->SelStart();
  const int32_t count = FEdit->SelLength();
  if (FEdit->ShiftOn()) {
    if (count == 1) {
      FEdit->DirectSetSelStart(start + 1);
      FEdit->SendMyKeyDown(VK_LEFT, {});
      FEdit->SendMyKeyDown(VK_LEFT, {});
    }
    return true;
  }
  int32_t cursor = -1;
  if (count >= 2) {
    for (int32_t i = start; i < start + count && cursor < 0; ++i)
      if (!IsLiteralPos(i)) cursor = i;
    if (cursor < 0) cursor = start + count >= MaskLength(FEdit->Text()) ? start + count : start;
  } else {
    int32_t k = start - 1;
    while (k >= 0 && IsLiteralPos(k)) --k;
    cursor = k >= 0 ? k : start;
  }
  SetCursor(cursor);
  return false;
}

bool TcxMaskEditStandardMode::PressRight() {
  const int32_t start = FEdit->SelStart();
  const int32_t count = FEdit->SelLength();
  const int32_t length = MaskLength(FEdit->Text());
  if (FEdit->ShiftOn()) {
    if (count == 1) FEdit->DirectSetSelStart(start);
    return true;
  }
  int32_t cursor = -1;
  if (count >= 2) {
    if (start + count >= length) {
      cursor = start + count;
    } else {
      for (int32_t i = start + count - 1; i >= start && cursor < 0; --i)
        if (!IsLiteralPos(i)) cursor = i;
      if (cursor < 0) cursor = start + count - 1;
    }
  } else if (start >= length) {
    cursor = start;
  } else {
    cursor = start + 1;
    while (cursor < length && IsLiteralPos(cursor)) ++cursor;
  }
  SetCursor(cursor);
  return false;
}

bool TcxMaskEditStandardMode::PressHome() {
  if (FEdit->ShiftOn()) return true;
  SetCursor(0);
  if (IsLiteralPos(0)) PressRight();
  return false;
}

bool TcxMaskEditStandardMode::PressEnd() {
  if (FEdit->ShiftOn()) return true;
  SetCursor(MaskLength(FEdit->Text()));
  return false;
}

bool TcxMaskEditStandardMode::IsCursorBegin() {
  int32_t first = 0;
  while (first < FMask->Count() && IsLiteralPos(first)) ++first;
  const int32_t cursor = FEdit->SelStart();
  return cursor <= first && (FEdit->SelLength() < 2 || FEdit->CursorPos() == FEdit->SelStart());
}

bool TcxMaskEditStandardMode::IsCursorEnd() {
  return FEdit->SelStart() >= MaskLength(FEdit->Text());
}

void TcxMaskEditStandardMode::PrePasteFromClipboard() {
  FSelStart = FEdit->SelStart();
  FEdit->DirectSetSelStart(FSelStart);
  FEdit->DirectSetSelLength(std::min(FClipboardTextLength, MaskLength(FEdit->Text()) - FSelStart));
}

// Pasted characters overwrite the positions from the caret on; a literal that differs
// from the character is passed over.
bool TcxMaskEditStandardMode::ProcessSelText(const String& AText, String& AResultText,
                                             int32_t& ANewCursorPos) {
  if (AText.empty()) return false;
  String text = FEdit->Text();
  const int32_t cursor = FEdit->SelStart();
  const int32_t count = std::min(FMask->Count(), MaskLength(text));
  int32_t pos = cursor;
  int32_t passed = 0;
  for (Char c : AText) {
    while (pos < count && IsLiteralPos(pos) &&
           static_cast<const TcxStandardMaskLiteralItem*>(FMask->Items(pos))->Literal() != c) {
      ++pos;
      ++passed;
    }
    if (pos >= count) break;
    text[static_cast<size_t>(pos++)] = c;
  }
  AResultText = text;
  ANewCursorPos = std::clamp(cursor + MaskLength(AText) + passed, 0, MaskLength(text));
  return true;
}

void TcxMaskEditStandardMode::AfterPasteFromClipboard() {
  const int32_t cursor = FEdit->SelStart();
  if (cursor < MaskLength(FEdit->Text()) && IsLiteralPos(cursor)) {
    FEdit->SetShiftOn(false);
    PressRight();
  }
}

// --- TcxMaskEditRegExprMode -----------------------------------------------------------

TcxMaskEditRegExprMode::TcxMaskEditRegExprMode(IMaskModeHost* AEdit, IMaskModeProperties* AProperties)
    : TcxMaskEditCustomMode(AEdit, AProperties), FRegExpr(std::make_unique<TcxRegExpr>()) {
  SetRegExprCaseInsensitive();
}

void TcxMaskEditRegExprMode::SetRegExprCaseInsensitive() {
  if (IMaskModeProperties* properties = GetProperties())
    FRegExpr->SetCaseInsensitive(properties->CaseInsensitive());
}

void TcxMaskEditRegExprMode::CompileRegExpr(const TcxEditMask& AMask) {
  try {
    FRegExpr->Compile(AMask);
  } catch (const EcxRegExprError& e) {
    String message = cxGetResourceString(scxMaskEditRegExprError);
    for (int32_t i = 0; i < e.Errors().Count(); ++i) message += u"\r\n" + e.Errors().Items(i).FullMessage();
    throw EcxMaskEditError(message);
  }
}

void TcxMaskEditRegExprMode::Compile(const TcxEditMask& AMask) {
  FEditMask = AMask;
  if (cxIsBlankMask(AMask)) return;
  CompileRegExpr(AMask);
}

bool TcxMaskEditRegExprMode::IsCompiled() const {
  return FRegExpr->IsCompiled() && !cxIsBlankMask(FEditMask);
}

String TcxMaskEditRegExprMode::GetFormattedText(const String& AText, bool) {
  if (!IsCompiled()) return {};
  FRegExpr->Reset();
  String result;
  for (Char c : AText) {
    Char token = c;
    if (FRegExpr->Next(token)) result += token;
  }
  return result;
}

bool TcxMaskEditRegExprMode::IsValidByScratchEngine(const String& AText) {
  if (!IsCompiled()) return true;
  TcxRegExpr scratch;
  scratch.SetCaseInsensitive(FRegExpr->CaseInsensitive());
  scratch.Compile(FRegExpr->Stream());
  for (Char c : AText) {
    Char token = c;
    if (!scratch.Next(token)) return false;
  }
  IMaskModeProperties* properties = GetProperties();
  return (properties && properties->IgnoreMaskBlank()) || scratch.IsFinal();
}

bool TcxMaskEditRegExprMode::IsFullValidText(const String& AText) {
  return AText.empty() || IsValidByScratchEngine(AText);
}

void TcxMaskEditRegExprMode::MoveToHead(size_t ACount) {
  ACount = std::min(ACount, FTail.size());
  for (size_t i = 0; i < ACount; ++i) {
    Char token = FTail[i];
    FRegExpr->Next(token);
  }
  FHead += FTail.substr(0, ACount);
  FTail.erase(0, ACount);
}

void TcxMaskEditRegExprMode::MoveToTail(size_t ACount) {
  ACount = std::min(ACount, FHead.size());
  for (size_t i = 0; i < ACount; ++i) FRegExpr->Prev();
  FTail.insert(0, FHead.substr(FHead.size() - ACount));
  FHead.resize(FHead.size() - ACount);
}

void TcxMaskEditRegExprMode::Reset(const String& AText) {
  FHead.clear();
  FTail = AText;
  if (IsCompiled()) FRegExpr->Reset();
}

bool TcxMaskEditRegExprMode::NeedReset() {
  if (FMouseAction) return true;
  const String text = EditText();
  return FHead.empty() && !text.empty() && (FTail != text || FEdit->CursorPos() != 0);
}

void TcxMaskEditRegExprMode::CursorCorrection() {
  if (!FEdit || !IsCompiled() || !NeedReset()) return;
  FMouseAction = false;
  Reset(EditText());
  MoveToHead(static_cast<size_t>(std::max(FEdit->CursorPos(), 0)));
}

void TcxMaskEditRegExprMode::DeleteSelection() {
  FSelect.clear();
  const int32_t start = FEdit->SelStart();
  const size_t count = static_cast<size_t>(FEdit->SelLength());
  if (count == 0) return;
  if (MaskLength(FHead) == start) {
    FSelect = FTail.substr(0, count);
    FTail.erase(0, count);
    FBeginCursor = true;
  } else if (FHead.size() == static_cast<size_t>(start) + count) {
    FSelect = FHead.substr(static_cast<size_t>(start));
    for (size_t i = 0; i < count; ++i) FRegExpr->Prev();
    FHead.resize(static_cast<size_t>(start));
    FBeginCursor = false;
  }
}

void TcxMaskEditRegExprMode::RestoreSelection() {
  if (FBeginCursor) {
    FTail.insert(0, FSelect);
  } else {
    for (Char c : FSelect) {
      Char token = c;
      FRegExpr->Next(token);
    }
    FHead += FSelect;
  }
  FSelect.clear();
}

bool TcxMaskEditRegExprMode::NextTail() {
  size_t fed = 0;
  bool fits = true;
  for (Char c : FTail) {
    Char token = c;
    if (!FRegExpr->Next(token)) {
      fits = false;
      break;
    }
    ++fed;
  }
  for (size_t i = 0; i < fed; ++i) FRegExpr->Prev();
  return fits;
}

void TcxMaskEditRegExprMode::ClearTail() {
  const String text = EditText();
  const String shown = text.substr(0, text.size() >= FTail.size() ? text.size() - FTail.size() : 0);
  FEdit->SetDataBindingDisplayValue(shown);
  FEdit->DirectSetSelStart(MaskLength(shown));
  FTail.clear();
}

bool TcxMaskEditRegExprMode::PressSymbol(Char& ASymbol) {
  CursorCorrection();
  const bool selected = FEdit->SelLength() > 0;
  if (selected) DeleteSelection();
  Char token = ASymbol;
  if (!FRegExpr->Next(token)) {
    if (selected) RestoreSelection();
    BeepOnError();
    return false;
  }
  ASymbol = token;
  FHead += token;
  bool result = true;
  if (!NextTail()) {
    if (selected) {
      FEdit->SendMyKeyDown(VK_DELETE, {});
      FEdit->SendMyKeyPress(token);
      result = false;
    }
    ClearTail();
  }
  if (!result) BeepOnError();
  return result;
}

bool TcxMaskEditRegExprMode::PressBackSpace() {
  CursorCorrection();
  if (FEdit->SelLength() > 0) {
    DeleteSelection();
    if (NextTail()) return true;
    FEdit->SendMyKeyPress(Char(VK_BACK));
    ClearTail();
    BeepOnError();
    return false;
  }
  if (FHead.empty()) return true;
  // The inner edit removes the character; the tail goes when it no longer fits.
  FRegExpr->Prev();
  FHead.pop_back();
  if (!NextTail()) ClearTail();
  return true;
}

bool TcxMaskEditRegExprMode::PressDelete() {
  CursorCorrection();
  if (FEdit->SelLength() > 0) {
    DeleteSelection();
    if (NextTail()) return true;
    FEdit->SendMyKeyDown(VK_DELETE, {});
    ClearTail();
    BeepOnError();
    return false;
  }
  if (FTail.empty()) return true;
  FTail.erase(0, 1);
  if (!NextTail()) {
    // All right of the caret goes: one character is left for the inner edit to delete.
    const String text = EditText();
    FEdit->SetDataBindingDisplayValue(text.substr(0, std::min(text.size(), FHead.size() + 1)));
    FEdit->DirectSetSelStart(MaskLength(FHead));
    FTail.clear();
  }
  return true;
}

bool TcxMaskEditRegExprMode::CollapseSelectionLeft() {
  const int32_t start = FEdit->SelStart();
  const int32_t count = FEdit->SelLength();
  if (count <= 0 || FEdit->ShiftOn()) return false;
  const int32_t cursor = FEdit->CursorPos();
  if (cursor == start + count) {
    MoveToTail(static_cast<size_t>(count));
    return true;
  }
  return cursor == start;
}

bool TcxMaskEditRegExprMode::CollapseSelectionRight() {
  const int32_t start = FEdit->SelStart();
  const int32_t count = FEdit->SelLength();
  if (count <= 0 || FEdit->ShiftOn()) return false;
  const int32_t cursor = FEdit->CursorPos();
  if (cursor == start) {
    MoveToHead(static_cast<size_t>(count));
    return true;
  }
  return cursor == start + count;
}

bool TcxMaskEditRegExprMode::PressLeft() {
  CursorCorrection();
  if (FHead.empty()) return true;
  if (CollapseSelectionLeft()) return true;
  MoveToTail(1);
  return true;
}

bool TcxMaskEditRegExprMode::PressRight() {
  CursorCorrection();
  if (FTail.empty()) return true;
  if (CollapseSelectionRight()) return true;
  MoveToHead(1);
  return true;
}

bool TcxMaskEditRegExprMode::PressHome() {
  CursorCorrection();
  FTail = FHead + FTail;
  FHead.clear();
  if (IsCompiled()) FRegExpr->Reset();
  return true;
}

bool TcxMaskEditRegExprMode::PressEnd() {
  GotoEnd();
  return true;
}

void TcxMaskEditRegExprMode::GotoEnd() {
  CursorCorrection();
  MoveToHead(FTail.size());
}

bool TcxMaskEditRegExprMode::IsCursorBegin() {
  return FEdit->CursorPos() == 0;
}

bool TcxMaskEditRegExprMode::IsCursorEnd() {
  return FEdit->CursorPos() == MaskLength(FEdit->Text());
}

void TcxMaskEditRegExprMode::SetText(const String& AText) {
  if (FClipboardTextLength > 0 && !AText.empty() && FEdit && IsCompiled()) {
    // Right after a paste the head ends after the pasted text.
    const size_t head =
        std::min(AText.size(), static_cast<size_t>(std::max(FEdit->SelStart(), 0) + FClipboardTextLength));
    FRegExpr->Reset();
    FHead.clear();
    FTail = AText;
    MoveToHead(head);
    FClipboardTextLength = 0;
    return;
  }
  Reset(AText);
}

void TcxMaskEditRegExprMode::SynchronizeEditValue() {
  TcxMaskEditCustomMode::SynchronizeEditValue();
  if (!FEdit) return;
  const String text = FEdit->Text();
  FEdit->DirectSetSelStart(MaskLength(text));
  Reset(text);
}

// --- TcxMaskEditRegExprExMode ---------------------------------------------------------
//
// The engine completes the forced characters only where the mode asks for it (NextForced,
// PrevForced): between actions it stands exactly after the head, so the steps of the
// regular-expression mode (which feed and step back one character at a time) apply as
// they are.

TcxMaskEditRegExprExMode::TcxMaskEditRegExprExMode(IMaskModeHost* AEdit, IMaskModeProperties* AProperties)
    : TcxMaskEditRegExprMode(AEdit, AProperties) {
  FRegExpr->SetOnSymbolUpdate(TcxSymbolUpdateEvent(this, &TcxMaskEditRegExprExMode::SymbolUpdate));
  FRegExpr->SetOnSymbolDelete(TcxSymbolDeleteEvent(this, &TcxMaskEditRegExprExMode::SymbolDelete));
}

void TcxMaskEditRegExprExMode::Compile(const TcxEditMask& AMask) {
  FEditMask = AMask;
  Clear();
  FInternalUpdate.clear();
  if (!cxIsBlankMask(AMask)) {
    SetUpdateOn(true);
    auto off = ScopeExit([this] { SetUpdateOn(false); });
    CompileRegExpr(AMask);
    FInternalUpdate = FUpdate;  // the forced characters at the start
  }
  if (!HasEdit()) FNeedUpdateEditValue = true;
}

String TcxMaskEditRegExprExMode::LeadingForced() {
  return IsCompiled() ? FInternalUpdate : String();
}

String TcxMaskEditRegExprExMode::GetEmptyString() {
  return LeadingForced();
}

size_t TcxMaskEditRegExprExMode::Complete() {
  const String saved = FUpdate;
  FUpdate.clear();
  SetUpdateOn(true);
  SetUpdateOn(false);
  const size_t result = FUpdate.size();
  FUpdate = saved + FUpdate;
  return result;
}

bool TcxMaskEditRegExprExMode::NextForced(Char& AToken) {
  FUpdate.clear();
  if (!FRegExpr->Next(AToken)) return false;
  Complete();
  return true;
}

bool TcxMaskEditRegExprExMode::PrevForced() {
  // From a head that ends before forced characters, switching the completion on first
  // steps over them: they are not counted as stepped back.
  const String saved = FUpdate;
  const size_t completed = Complete();
  FUpdate = saved;
  FDeleteNumber = 0;
  SetUpdateOn(true);
  const bool result = FRegExpr->Prev();
  SetUpdateOn(false);
  FDeleteNumber = std::max<int32_t>(FDeleteNumber - static_cast<int32_t>(completed), 0);
  return result;
}

String TcxMaskEditRegExprExMode::GetFormattedText(const String& AText, bool) {
  if (!IsCompiled()) return {};
  FRegExpr->Reset();
  String result;
  for (Char c : AText) {
    Char token = c;
    if (FRegExpr->Next(token)) result += token;
  }
  FUpdate.clear();
  Complete();
  result += FUpdate;
  Clear();
  return result;
}

bool TcxMaskEditRegExprExMode::IsFullValidText(const String& AText) {
  if (!IsCompiled() || AText == LeadingForced()) return true;
  return IsValidByScratchEngine(AText);
}

void TcxMaskEditRegExprExMode::UpdateEditValue() {
  if (!FNeedUpdateEditValue || !FEdit) return;
  FEdit->SetInternalEditValue(LeadingForced());
  FNeedUpdateEditValue = false;
}

void TcxMaskEditRegExprExMode::SetText(const String& AText) {
  Clear();
  if (IsCompiled()) {
    FRegExpr->Reset();
    for (Char c : AText) {
      Char token = c;
      FRegExpr->Next(token);
    }
    Complete();
  }
  FHead = AText + FUpdate;
  FTail.clear();
  if (HasEdit()) {
    FMouseAction = true;
    CursorCorrection();
  }
  FClipboardTextLength = 0;
}

size_t TcxMaskEditRegExprExMode::StepRight() {
  if (FTail.empty()) return 0;
  Char token = FTail[0];
  const size_t count = NextForced(token) ? std::min(1 + FUpdate.size(), FTail.size()) : 1;
  FHead += FTail.substr(0, count);
  FTail.erase(0, count);
  return count;
}

size_t TcxMaskEditRegExprExMode::StepLeft() {
  if (FHead.empty()) return 0;
  PrevForced();
  const size_t count =
      FRegExpr->IsStart() ? FHead.size() : std::min(static_cast<size_t>(FDeleteNumber) + 1, FHead.size());
  FTail.insert(0, FHead.substr(FHead.size() - count));
  FHead.resize(FHead.size() - count);
  return count;
}

// The head follows a click: the caret never stands inside a run of forced characters.
void TcxMaskEditRegExprExMode::CursorCorrection() {
  if (!HasEdit() || !FEdit->HandleAllocated() || !IsCompiled()) return;
  if (NeedReset()) {
    Reset(EditText());
    FMouseAction = true;
  }
  if (!FMouseAction) return;
  FMouseAction = false;
  const int32_t start = FEdit->SelStart();
  const int32_t count = FEdit->SelLength();
  const int32_t cursor = FEdit->CursorPos();
  bool moved = false;
  while (MaskLength(FHead) < cursor && !FTail.empty()) {
    StepRight();
    if (MaskLength(FHead) > cursor) {
      StepLeft();
      moved = true;
      break;
    }
  }
  while (MaskLength(FHead) > cursor && !FHead.empty()) {
    StepLeft();
    if (MaskLength(FHead) < cursor) {
      moved = true;
      break;
    }
  }
  Clear();
  if (moved) {
    FEdit->DirectSetSelStart(MaskLength(FHead));
    return;
  }
  if (count > 0) {
    while (MaskLength(FHead) < start + count && !FTail.empty()) StepRight();
    Clear();
    const int32_t selStart = std::min(start, MaskLength(FHead));
    FEdit->DirectSetSelStart(selStart);
    FEdit->DirectSetSelLength(MaskLength(FHead) - selStart);
  }
}

bool TcxMaskEditRegExprExMode::KeepLeadingForced() {
  const String leading = LeadingForced();
  const int32_t count = FEdit->SelLength();
  if (count == 0 || FEdit->SelStart() != 0 || leading.empty() || !StartsStr(leading, FEdit->Text()))
    return false;
  const int32_t length = MaskLength(leading);
  FEdit->DirectSetSelStart(length);
  if (count > length) FEdit->DirectSetSelLength(count - length);
  FMouseAction = true;
  CursorCorrection();
  return true;
}

void TcxMaskEditRegExprExMode::UpdateTail() {
  size_t fed = 0;
  for (Char c : FTail) {
    Char token = c;
    if (!FRegExpr->Next(token)) break;
    ++fed;
  }
  FEdit->DirectSetSelStart(MaskLength(FHead) + MaskLength(FTail));
  const String saved = FUpdate;
  FUpdate.clear();
  const size_t forced = Complete();
  const String added = FUpdate;
  FUpdate = saved;
  FTail += added;
  for (Char c : added) FEdit->SendMyKeyPress(c);
  for (size_t i = 0; i < fed + forced; ++i) FRegExpr->Prev();
  FEdit->DirectSetSelStart(MaskLength(FHead));
}

void TcxMaskEditRegExprExMode::RefitTail() {
  if (NextTail())
    UpdateTail();
  else
    ClearTail();
}

bool TcxMaskEditRegExprExMode::PressSymbol(Char& ASymbol) {
  CursorCorrection();
  Clear();
  if (KeepLeadingForced()) return PressSymbol(ASymbol);
  const bool selected = FEdit->SelLength() > 0;
  if (selected) DeleteSelection();
  Char token = ASymbol;
  if (!NextForced(token)) {
    if (selected) RestoreSelection();
    BeepOnError();
    return false;
  }
  ASymbol = token;
  const String forced = FUpdate;
  FHead += token + forced;
  FEdit->SendMyKeyPress(token);
  for (Char c : forced) FEdit->SendMyKeyPress(c);
  RefitTail();
  return false;
}

bool TcxMaskEditRegExprExMode::PressBackSpace() {
  CursorCorrection();
  Clear();
  if (FEdit->SelLength() > 0) {
    KeepLeadingForced();
    if (FEdit->SelLength() > 0) {
      DeleteSelection();
      FEdit->SendMyKeyPress(Char(VK_BACK));
      RefitTail();
      return false;
    }
  }
  if (FHead.empty()) return false;
  const int32_t cursor = FEdit->CursorPos();
  PrevForced();
  if (FRegExpr->IsStart() && cursor == FDeleteNumber) {
    // Only forced characters lie before the caret: they stay.
    Char token = FHead[0];
    NextForced(token);
    Clear();
    BeepOnError();
    return false;
  }
  const size_t count =
      FRegExpr->IsStart() ? FHead.size() : std::min(static_cast<size_t>(FDeleteNumber) + 1, FHead.size());
  for (size_t i = 0; i < count; ++i) FEdit->SendMyKeyPress(Char(VK_BACK));
  FHead.resize(FHead.size() - count);
  Clear();
  RefitTail();
  return false;
}

bool TcxMaskEditRegExprExMode::PressDelete() {
  CursorCorrection();
  Clear();
  if (FEdit->SelLength() > 0) return PressBackSpace();
  if (FTail.empty()) return false;
  if (FEdit->CursorPos() == 0 && !LeadingForced().empty()) {
    BeepOnError();
    return false;
  }
  Char token = FTail[0];
  const bool accepted = NextForced(token);
  const size_t count = accepted ? std::min(1 + FUpdate.size(), FTail.size()) : 1;
  for (size_t i = 0; i < count; ++i) FEdit->SendMyKeyDown(VK_DELETE, {});
  FTail.erase(0, count);
  if (accepted)
    for (size_t i = 0; i < 1 + FUpdate.size(); ++i) FRegExpr->Prev();
  Clear();
  RefitTail();
  return false;
}

bool TcxMaskEditRegExprExMode::PressLeft() {
  CursorCorrection();
  Clear();
  if (CollapseSelectionLeft()) return true;
  const size_t moved = StepLeft();
  for (size_t i = 1; i < moved; ++i) FEdit->SendMyKeyDown(VK_LEFT, {});
  Clear();
  return true;
}

bool TcxMaskEditRegExprExMode::PressRight() {
  CursorCorrection();
  Clear();
  if (FTail.empty()) return true;
  if (CollapseSelectionRight()) return true;
  const size_t moved = StepRight();
  for (size_t i = 1; i < moved; ++i) FEdit->SendMyKeyDown(VK_RIGHT, {});
  Clear();
  return true;
}

bool TcxMaskEditRegExprExMode::PressHome() {
  Clear();
  return TcxMaskEditRegExprMode::PressHome();
}

bool TcxMaskEditRegExprExMode::PressEnd() {
  Clear();
  return TcxMaskEditRegExprMode::PressEnd();
}

void TcxMaskEditRegExprExMode::GotoEnd() {
  Clear();
  TcxMaskEditRegExprMode::GotoEnd();
}

}  // namespace qd
