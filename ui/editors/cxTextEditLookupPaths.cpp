// The text editor's paths through its lookup items: the lookup data it owns, moving through
// the items with keys and the wheel, completing typed text from an item, and taking over the
// item the lookup data selects.
#include <algorithm>

#include "platform/base/strings.h"
#include "platform/os/user.h"
#include "ui/editors/cxTextEdit.h"
#include "ui/editors/cxTextEditLookup.h"

namespace qd {

namespace {

int32_t KeyToIndex(const Variant& AKey) {
  if (VarIsNull(AKey) || VarIsEmpty(AKey)) return -1;
  try {
    return static_cast<int32_t>(AKey.AsInteger());
  } catch (const Exception&) {
    return -1;
  }
}

bool IsLeadSurrogate(Char C) {
  return C >= 0xD800 && C <= 0xDBFF;
}

bool IsTrailSurrogate(Char C) {
  return C >= 0xDC00 && C <= 0xDFFF;
}

// The properties filter a lookup edit's list with the contains operator.
bool IsContainsFilteringLookupEdit(TcxCustomTextEditProperties* AProperties) {
  return AProperties->IsLookupEdit() && AProperties->IncrementalFiltering() &&
         AProperties->IncrementalFilteringOptions().Contains(ifoUseContainsOperator);
}

// The lookup data's text-changed notice locked for the scope, restored afterwards.
class LookupTextChangedLock {
 public:
  explicit LookupTextChangedLock(TcxCustomTextEdit* AEdit)
      : FEdit(AEdit), FPrev(AEdit->LookupDataTextChangedLocked()) {
    AEdit->SetLookupDataTextChangedLocked(true);
  }
  ~LookupTextChangedLock() { FEdit->SetLookupDataTextChangedLocked(FPrev); }
  LookupTextChangedLock(const LookupTextChangedLock&) = delete;
  LookupTextChangedLock& operator=(const LookupTextChangedLock&) = delete;

 private:
  TcxCustomTextEdit* FEdit;
  bool FPrev;
};

}  // namespace

void TcxCustomTextEdit::CreateLookupData() {
  if (FLookupData) return;
  const TClass dataClass = ActiveProperties()->GetLookupDataClass();
  if (!dataClass) return;
  FLookupData = ObjectCast<TcxCustomTextEditLookupData>(dataClass->Create(this));
  if (FLookupData) FLookupData->SetOnSelectItem(TNotifyEvent(this, &TcxCustomTextEdit::HandleSelectItem));
}

IcxTextEditLookupData* TcxCustomTextEdit::GetILookupData() {
  return FLookupData;
}

int32_t TcxCustomTextEdit::LookupKeyToItemIndex(const Variant& AKey) {
  return KeyToIndex(AKey);
}

void TcxCustomTextEdit::LookupKeyToEditValue(const Variant& AKey, Variant& AValue) {
  IcxTextEditLookupData* data = GetILookupData();
  const Variant text(data ? data->GetDisplayText(AKey) : String());
  PrepareEditValue(text, AValue, false);
}

int32_t TcxCustomTextEdit::GetItemIndex() {
  IcxTextEditLookupData* data = GetILookupData();
  return data ? LookupKeyToItemIndex(data->GetCurrentKey()) : -1;
}

TObject* TcxCustomTextEdit::GetItemObject() {
  const int32_t index = GetItemIndex();
  TStringList* items = ActiveProperties()->LookupItems();
  return index >= 0 && index < items->Count() ? items->Objects(index) : nullptr;
}

void TcxCustomTextEdit::SetItemObject(TObject* Value) {
  SetItemIndex(ActiveProperties()->LookupItems()->IndexOfObject(Value));
}

void TcxCustomTextEdit::DoOnNewLookupDisplayText(const String& AText) {
  TcxCustomTextEditProperties* own = Properties();
  if (own->OnNewLookupDisplayText()) own->OnNewLookupDisplayText()(this, AText);
  if (RepositoryItem() && ActiveProperties() != own && ActiveProperties()->OnNewLookupDisplayText())
    ActiveProperties()->OnNewLookupDisplayText()(this, AText);
}

void TcxCustomTextEdit::HandleSelectItem(TObject*) {
  IcxTextEditLookupData* data = GetILookupData();
  if (!data) return;
  Variant value;
  LookupKeyToEditValue(data->GetCurrentKey(), value);
  const bool equal = InternalVarEqualsExact(value, EditValue());
  if (!equal && !DoEditing()) return;
  SaveModified();
  {
    LookupTextChangedLock lock(this);
    try {
      SetInternalEditValue(value);
    } catch (...) {
      RestoreModified();
      throw;
    }
  }
  RestoreModified();
  if (!equal) SetModifiedAfterEnter(true);
  SelectAll();
  ShortRefreshContainer(false);
}

void TcxCustomTextEdit::SetItemIndex(int32_t Value) {
  IcxTextEditLookupData* data = GetILookupData();
  if (!data) return;
  const int32_t prevIndex = GetItemIndex();
  LockClick(true);
  // A program's choice is not the user's: the selection notice that would ask the editing
  // request and mark the editor modified is held back while the key is set.
  const TNotifyEvent onSelectItem = data->GetOnSelectItem();
  data->SetOnSelectItem(nullptr);
  try {
    Variant key;
    ItemIndexToLookupKey(Value, key);
    data->SetCurrentKey(key);
    data->SetOnSelectItem(onSelectItem);
    Variant value;
    LookupKeyToEditValue(data->GetCurrentKey(), value);
    if (!InternalVarEqualsExact(value, EditValue())) {
      LookupTextChangedLock lock(this);
      SetEditValue(value);
    }
  } catch (...) {
    data->SetOnSelectItem(onSelectItem);
    LockClick(false);
    throw;
  }
  LockClick(false);
  if (GetItemIndex() != prevIndex) {
    SetModified(false);
    Click();
  }
}

// --- Moving through the items -----------------------------------------------------------------

void TcxCustomTextEdit::LookupDataGo(TcxEditLookupDataGoDirection ADirection, bool ACircular) {
  IcxTextEditLookupData* data = GetILookupData();
  if (!data) return;
  LockChangeEvents(true);
  FLookupItemsScrolling = true;
  try {
    const Variant prevKey = data->GetCurrentKey();
    LockClick(true);
    try {
      data->Go(ADirection, ACircular);
    } catch (...) {
      LockClick(false);
      throw;
    }
    LockClick(false);
    if (!InternalVarEqualsExact(prevKey, data->GetCurrentKey())) {
      DoClick();
      if (CanPostEditValue() && ActiveProperties()->ImmediatePost() && InternalValidateEdit())
        InternalPostEditValue(false);
    }
  } catch (...) {
    FLookupItemsScrolling = false;
    LockChangeEvents(false);
    throw;
  }
  FLookupItemsScrolling = false;
  LockChangeEvents(false);
}

bool TcxCustomTextEdit::DoIsMouseWheelHandleNeeded(TShiftState Shift) {
  IcxTextEditLookupData* data = GetILookupData();
  return GetScrollLookupDataList(escMouseWheel) && !HasPopupWindow() && data && !data->IsEmpty() &&
         HandleMouseWheel(Shift);
}

bool TcxCustomTextEdit::IsMouseWheelHandleNeeded() {
  return TcxCustomEdit::IsMouseWheelHandleNeeded() || DoIsMouseWheelHandleNeeded(KeyboardStateToShiftState());
}

bool TcxCustomTextEdit::InternalMouseWheel(TShiftState Shift, int32_t WheelDelta, const TPoint& MousePos) {
  if (TcxCustomEdit::InternalMouseWheel(Shift, WheelDelta, MousePos)) return true;
  if (!DoIsMouseWheelHandleNeeded(Shift)) return false;
  if (DoEditing()) LookupDataGo(WheelDelta > 0 ? egdPrev : egdNext);
  return true;
}

// --- Incremental search -----------------------------------------------------------------------

bool TcxCustomTextEdit::CanIncrementalSearch() {
  TcxCustomTextEditProperties* props = ActiveProperties();
  const TcxEditEditingStyle style = props->GetEditingStyle();
  return style == esEditList || style == esFixedList || (style == esEdit && props->IncrementalSearch());
}

bool TcxCustomTextEdit::CanContinueIncrementalSearch() {
  const TcxEditEditingStyle style = ActiveProperties()->GetEditingStyle();
  if (style == esEditList || style == esFixedList) return true;
  IcxInnerTextEdit* inner = InnerTextEdit();
  if (!inner) return false;
  const int32_t selLength = inner->GetSelLength();
  const bool caretAtEnd = inner->GetSelStart() == static_cast<int32_t>(GetDisplayText().size());
  return (caretAtEnd && selLength == 0) || selLength > 0 || FindSelection();
}

bool TcxCustomTextEdit::PopulateFromList(String& AText) {
  IcxTextEditLookupData* data = GetILookupData();
  if (!data) return false;
  TcxCustomTextEditProperties* props = ActiveProperties();
  IcxInnerTextEdit* inner = InnerTextEdit();
  const Char imeChar = inner ? inner->GetImeLastChar() : Char(0);
  String searchText = AText;
  if (imeChar != 0) searchText += imeChar;
  AText = searchText;
  String tail;
  const bool result = data->Locate(AText, tail, false);
  if (result && imeChar != 0 && !AText.empty()) {
    tail.insert(tail.begin(), AText.back());
    AText.pop_back();
  }
  SetFindSelection(result);
  const TcxEditEditingStyle style = props->GetEditingStyle();
  const bool containsFixedList = style == esFixedList && IsContainsFilteringLookupEdit(props);
  if (AText.empty()) {
    const bool keepText = style == esFixedList && !props->IsLookupEdit() && props->IncrementalFiltering() &&
                          props->IncrementalFilteringOptions().Contains(ifoUseContainsOperator);
    if (!keepText) InternalSetDisplayValue(Variant(String()));
    SetFindSelection(false);
  } else if (result) {
    DataBindingSetDisplayValue(Variant(AText + tail));
    if (inner) {
      if (containsFixedList) {
        const size_t at = UpperCase(AText).find(UpperCase(searchText));
        inner->SetSelStart(at == String::npos ? 0 : static_cast<int32_t>(at));
        inner->SetSelLength(static_cast<int32_t>(searchText.size()));
      } else {
        inner->SetSelStart(static_cast<int32_t>(AText.size()));
        inner->SetSelLength(static_cast<int32_t>(tail.size()));
      }
    }
  }
  UpdateDrawValue();
  return result;
}

void TcxCustomTextEdit::DoValidateDisplayValue(Variant& ADisplayValue, String& AErrorText, bool& AError) {
  TcxCustomTextEditProperties* props = ActiveProperties();
  IcxTextEditLookupData* data = GetILookupData();
  if (props->GetEditingStyle() == esEdit && props->CanValidate() && data && FindSelection()) {
    const String item = data->GetDisplayText(data->GetCurrentKey());
    if (!item.empty() && SameText(VarToStr(ADisplayValue), item)) ADisplayValue = Variant(item);
  }
  TcxCustomEdit::DoValidateDisplayValue(ADisplayValue, AErrorText, AError);
}

// The key press of incremental search, after the base editor's handling: the typed text is
// completed from the first matching item.
// Backspace while searching: the search text loses its last character and the list looks again.
void TcxCustomTextEdit::IncrementalSearchBackspace(Char& Key, const String& AText, int32_t ASelStart,
                                                   bool AContainsFixedList) {
  IcxInnerTextEdit* inner = InnerTextEdit();
  const TcxEditEditingStyle style = ActiveProperties()->GetEditingStyle();
  if (!GetILookupData() || !CanIncrementalSearch()) return;
  if (style == esEditList && !AText.empty() && !FindSelection() && inner) {
    inner->SetSelLength(static_cast<int32_t>(AText.size()) - ASelStart);
    SetFindSelection(true);
  }
  if (FindSelection()) {
    String searchText = AContainsFixedList ? (inner ? inner->GetSelText() : String())
                                           : AText.substr(0, static_cast<size_t>(ASelStart));
    // The last character goes; a surrogate pair is one character.
    if (!searchText.empty()) {
      const size_t n = searchText.size();
      const bool pair = n >= 2 && IsTrailSurrogate(searchText[n - 1]) && IsLeadSurrogate(searchText[n - 2]);
      searchText.resize(n - (pair ? 2 : 1));
    }
    FLookupDataTextChangedLocked = true;
    if (PopulateFromList(searchText)) Key = 0;
  }
  if (style == esFixedList) Key = 0;
}

// A typed character while searching: the list looks for the text the character makes.
void TcxCustomTextEdit::IncrementalSearchCharacter(Char& Key, const String& AText, int32_t ASelStart,
                                                   int32_t ASelLength, bool AContainsFixedList,
                                                   bool APrevFindSelection) {
  if (!CanIncrementalSearch() || !CanContinueIncrementalSearch()) return;
  IcxInnerTextEdit* inner = InnerTextEdit();
  TcxCustomTextEditProperties* props = ActiveProperties();
  const TcxEditEditingStyle style = props->GetEditingStyle();
  FLookupDataTextChangedLocked = true;
  String searchText;
  bool found = false;
  bool tried = false;
  if (ASelLength == 0) {
    if (style != esFixedList) {
      searchText = AText;
      searchText.insert(static_cast<size_t>(ASelStart), 1, Key);
    } else if (FindSelection()) {
      searchText = AText + Key;
      tried = true;
      found = PopulateFromList(searchText);
      if (!found) searchText = String(1, Key);
    } else {
      searchText = String(1, Key);
    }
  } else if (AContainsFixedList) {
    searchText = (inner ? inner->GetSelText() : String()) + Key;
  } else {
    searchText = AText.substr(0, static_cast<size_t>(ASelStart)) + Key;
  }
  if (!(tried && found)) found = PopulateFromList(searchText);
  if (!found && style == esFixedList && !props->FixedListSelection()) {
    searchText = String(1, Key);
    found = PopulateFromList(searchText);
  }
  if (found) {
    Key = 0;
  } else if (style == esEditList || style == esFixedList) {
    Key = 0;
    if (style == esEditList && !AText.empty()) SetFindSelection(true);
    if (style == esFixedList && props->FixedListSelection() && APrevFindSelection) SetFindSelection(true);
  }
}

void TcxCustomTextEdit::DoEditKeyPress(Char& Key) {
  IcxInnerTextEdit* inner = InnerTextEdit();
  if (inner) inner->SetInternalUpdating(true);
  TcxCustomEdit::DoEditKeyPress(Key);
  if (Key == 0) return;
  FLookupDataTextChangedLocked = false;
  TcxCustomTextEditProperties* props = ActiveProperties();
  IcxTextEditLookupData* data = GetILookupData();
  Variant prevKey;
  BeginUserAction();
  try {
    const TcxEditEditingStyle style = props->GetEditingStyle();
    if (style == esFixedList && Key == u'\b' && !props->FixedListSelection()) {
      Key = 0;
      SetFindSelection(false);
    } else {
      if (data) prevKey = data->GetCurrentKey();
      const bool prevFindSelection = FindSelection();
      LockClick(true);
      try {
        const String text = GetDisplayText();
        const int32_t selStart =
            inner ? std::clamp(inner->GetSelStart(), 0, static_cast<int32_t>(text.size())) : 0;
        const int32_t selLength =
            inner ? std::clamp(inner->GetSelLength(), 0, static_cast<int32_t>(text.size()) - selStart) : 0;
        const bool containsFixedList = style == esFixedList && IsContainsFilteringLookupEdit(props);
        if (Key == u'\b')
          IncrementalSearchBackspace(Key, text, selStart, containsFixedList);
        else if (Key >= u' ' && data)
          IncrementalSearchCharacter(Key, text, selStart, selLength, containsFixedList, prevFindSelection);
      } catch (...) {
        LockClick(false);
        throw;
      }
      LockClick(false);
    }
  } catch (...) {
    EndUserAction();
    throw;
  }
  EndUserAction();
  if (data && !VarIsEmpty(prevKey) && !InternalVarEqualsExact(prevKey, data->GetCurrentKey())) DoClick();
  if (Key != 0 && inner) inner->SetInternalUpdating(false);
}

}  // namespace qd
