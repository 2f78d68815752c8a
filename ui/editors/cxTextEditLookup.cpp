#include "ui/editors/cxTextEditLookup.h"

#include <algorithm>
#include <cstdlib>

#include "platform/base/strings.h"
#include "platform/os/user.h"
#include "platform/os/user_listbox.h"
#include "ui/controls/cxControlScrollBars.h"
#include "ui/core/cxClassesComponents.h"
#include "ui/core/cxGeometry.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/graphics/cxGraphicsText.h"
#include "ui/graphics/cxTextLayout.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersBitmaps.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxCustomTextEditLookupData)
QD_IMPLEMENT_CLASS(TcxCustomEditListBox)
QD_IMPLEMENT_CLASS(TcxEditListBoxContainer)

namespace {

int32_t LookupKeyToIndex(const Variant& AKey) {
  if (VarIsNull(AKey) || VarIsEmpty(AKey)) return -1;
  try {
    return static_cast<int32_t>(AKey.AsInteger());
  } catch (const Exception&) {
    return -1;
  }
}

bool StartsWithText(const String& AItem, const String& AText) {
  return AItem.size() >= AText.size() && SameText(StringView(AItem).substr(0, AText.size()), AText);
}

}  // namespace

// --- TcxCustomTextEditLookupData -----------------------------------------------------------------

class TcxCustomTextEditLookupData::TextChangedLock {
 public:
  explicit TextChangedLock(TcxCustomEdit* AEdit) : FOwner(dynamic_cast<IcxTextEditLookupDataOwner*>(AEdit)) {
    if (!FOwner) return;
    FPrev = FOwner->LookupDataTextChangedLocked();
    FOwner->SetLookupDataTextChangedLocked(true);
  }
  ~TextChangedLock() {
    if (FOwner) FOwner->SetLookupDataTextChangedLocked(FPrev);
  }
  TextChangedLock(const TextChangedLock&) = delete;
  TextChangedLock& operator=(const TextChangedLock&) = delete;

 private:
  IcxTextEditLookupDataOwner* FOwner;
  bool FPrev = false;
};

TcxCustomTextEditLookupData::TcxCustomTextEditLookupData(TPersistent* AOwner)
    : TcxInterfacedPersistent(AOwner) {}

TcxCustomTextEditLookupData::~TcxCustomTextEditLookupData() {
  if (TcxEditListBoxContainer* container = ListContainer()) {
    FList->SetLookupData(nullptr);
    FList->OnSelectItem = nullptr;
    delete container;
  }
  cxRemoveObjectLink(FListContainerLink);
}

TcxCustomEdit* TcxCustomTextEditLookupData::GetEdit() const {
  return ObjectCast<TcxCustomEdit>(Owner());
}

TcxCustomTextEditProperties* TcxCustomTextEditLookupData::ActiveProperties() const {
  if (TcxCustomEdit* edit = GetEdit())
    return ObjectCast<TcxCustomTextEditProperties>(edit->ActiveProperties());
  return nullptr;
}

TcxEditListBoxContainer* TcxCustomTextEditLookupData::ListContainer() const {
  return FListContainerLink && FListContainerLink->Ref ? FListContainer : nullptr;
}

TcxCustomEditListBox* TcxCustomTextEditLookupData::List() const {
  return ListContainer() ? FList : nullptr;
}

String TcxCustomTextEditLookupData::GetItem(int32_t AIndex) {
  TcxCustomTextEditProperties* properties = ActiveProperties();
  if (!properties || AIndex < 0 || AIndex >= properties->LookupItems()->Count()) return {};
  return properties->LookupItems()->Get(AIndex);
}

int32_t TcxCustomTextEditLookupData::GetItemCount() {
  TcxCustomTextEditProperties* properties = ActiveProperties();
  return properties ? properties->LookupItems()->Count() : 0;
}

int32_t TcxCustomTextEditLookupData::IndexOf(const String& AText) {
  for (int32_t i = 0, n = GetItemCount(); i < n; ++i)
    if (SameText(GetItem(i), AText)) return i;
  return -1;
}

bool TcxCustomTextEditLookupData::Find(const String& AText) {
  return IndexOf(AText) >= 0;
}

String TcxCustomTextEditLookupData::GetDisplayText(const Variant& AKey) {
  const int32_t index = LookupKeyToIndex(AKey);
  return index >= 0 && index < GetItemCount() ? GetItem(index) : String();
}

// -- Filtering

bool TcxCustomTextEditLookupData::IsIncrementalFiltering() {
  TcxCustomTextEditProperties* properties = ActiveProperties();
  return properties && properties->IncrementalFiltering();
}

bool TcxCustomTextEditLookupData::IsLikeTypeFiltering() {
  return IsIncrementalFiltering() &&
         ActiveProperties()->IncrementalFilteringOptions().Contains(ifoUseContainsOperator);
}

bool TcxCustomTextEditLookupData::IsFilterActive() {
  TcxCustomEdit* edit = GetEdit();
  return edit && edit->HasPopupWindow();
}

bool TcxCustomTextEditLookupData::UseSearchControl() {
  TcxCustomTextEditProperties* properties = ActiveProperties();
  return properties && properties->UseSearchControl();
}

int32_t TcxCustomTextEditLookupData::GetFilteredItemCount() {
  return IsIncrementalFiltering() ? static_cast<int32_t>(FFilteredLookupItems.size()) : GetItemCount();
}

int32_t TcxCustomTextEditLookupData::GetLookupItemIndexFromFilteredItemIndex(int32_t AFilteredIndex) {
  if (!IsIncrementalFiltering()) return AFilteredIndex;
  if (AFilteredIndex < 0 || AFilteredIndex >= static_cast<int32_t>(FFilteredLookupItems.size())) return -1;
  return FFilteredLookupItems[static_cast<size_t>(AFilteredIndex)];
}

int32_t TcxCustomTextEditLookupData::GetFilteredItemIndex(int32_t AItemIndex) {
  if (!IsIncrementalFiltering()) return AItemIndex;
  const auto it = std::find(FFilteredLookupItems.begin(), FFilteredLookupItems.end(), AItemIndex);
  return it == FFilteredLookupItems.end() ? -1 : static_cast<int32_t>(it - FFilteredLookupItems.begin());
}

String TcxCustomTextEditLookupData::GetFilteredItem(int32_t AFilteredIndex) {
  return GetItem(GetLookupItemIndexFromFilteredItemIndex(AFilteredIndex));
}

void TcxCustomTextEditLookupData::ResetIncrementalFilter() {
  FSearchText.clear();
  const int32_t count = GetItemCount();
  FFilteredLookupItems.resize(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) FFilteredLookupItems[static_cast<size_t>(i)] = i;
}

void TcxCustomTextEditLookupData::UpdateFilteredLookupItems(const String& AText) {
  FSearchText = AText;
  FFilteredLookupItems.clear();
  const bool likeType = IsLikeTypeFiltering();
  const String upperText = UpperCase(AText);
  for (int32_t i = 0, n = GetItemCount(); i < n; ++i) {
    const String item = GetItem(i);
    const bool visible = AText.empty() || (likeType ? UpperCase(item).find(upperText) != String::npos
                                                    : StartsWithText(item, AText));
    if (visible) FFilteredLookupItems.push_back(i);
  }
}

// -- Locating

int32_t TcxCustomTextEditLookupData::FindItemByText(const String& AText, int32_t AStart, bool AWholeText) {
  const int32_t count = GetItemCount();
  AStart = std::max(AStart, 0);
  if (AText.empty() || AStart >= count) return -1;
  const bool contains = IsLikeTypeFiltering() && IsFilterActive();
  const String upperText = contains ? UpperCase(AText) : String();
  for (int32_t i = AStart; i < count; ++i) {
    const String item = GetItem(i);
    if (contains ? UpperCase(item).find(upperText) != String::npos
                 : (AWholeText ? SameText(item, AText) : StartsWithText(item, AText)))
      return i;
  }
  return -1;
}

void TcxCustomTextEditLookupData::CheckCurrentKey(const String& AText, bool AFromTextChange) {
  TcxCustomTextEditProperties* properties = ActiveProperties();
  const TcxEditEditingStyle style = properties ? properties->GetEditingStyle() : esEdit;
  bool clear = false;
  switch (style) {
    case esEdit:
    case esNoEdit:
      clear = true;
      break;
    case esEditList:
      clear = AFromTextChange || AText.empty();
      break;
    case esFixedList:
      clear = AFromTextChange;
      break;
  }
  if (clear) InternalSetCurrentKey(-1);
}

bool TcxCustomTextEditLookupData::InternalLocate(String& AText, String& ATail, bool AFromTextChange,
                                                 bool ANext) {
  ATail.clear();
  TcxCustomTextEditProperties* properties = ActiveProperties();
  if (!properties || GetItemCount() == 0) {
    CheckCurrentKey(AText, AFromTextChange);
    return false;
  }
  if (AFromTextChange && properties->MRUMode()) {
    const int32_t index = IndexOf(AText);
    InternalSetCurrentKey(index);
    return index >= 0;
  }
  const int32_t start = ANext ? FItemIndex + 1 : 0;
  int32_t index = -1;
  if (NeedLocateItemWithFullString()) index = FindItemByText(AText, start, true);
  if (index < 0) index = FindItemByText(AText, start, false);
  if (index < 0) {
    CheckCurrentKey(AText, AFromTextChange);
    return false;
  }
  if (IsLikeTypeFiltering() && IsFilterActive()) {
    InternalSetCurrentKey(index);
    return true;
  }
  const String item = GetItem(index);
  if (properties->GetEditingStyle() != esEdit) AText = item.substr(0, AText.size());
  ATail = item.substr(std::min(AText.size(), item.size()));
  InternalSetCurrentKey(index);
  return true;
}

bool TcxCustomTextEditLookupData::Locate(String& AText, String& ATail, bool ANext) {
  const bool found = InternalLocate(AText, ATail, false, ANext);
  if (IsIncrementalFiltering() && IsFilterActive()) {
    TcxCustomTextEditProperties* properties = ActiveProperties();
    const bool keep = !found && !AText.empty() &&
                      (properties->GetEditingStyle() != esEdit || !properties->IncrementalSearch());
    if (!keep) UpdateFilteredLookupItems(AText);
  }
  return found;
}

void TcxCustomTextEditLookupData::TextChanged() {
  TcxCustomEdit* edit = GetEdit();
  if (!edit || edit->EditModeSetting() || FIsInitializing) return;
  String text = edit->GetDisplayText();
  if (FItemIndex < GetItemCount() && SameText(GetDisplayText(Variant(FItemIndex)), text)) return;
  String tail;
  InternalLocate(text, tail, true, false);
}

// -- Current key and selection

void TcxCustomTextEditLookupData::InternalSetItemIndex(int32_t AIndex) {
  const int32_t count = GetItemCount();
  if (AIndex < -1 || AIndex >= count || (AIndex == FItemIndex && AIndex != -1)) return;
  if (List() && count > 0) {
    if (AIndex == -1) {
      // Through the first item, so that the list scrolls to its top.
      SetSelectedItem(0);
      SetSelectedItem(-1);
    } else {
      SetSelectedItem(AIndex);
    }
  }
  FItemIndex = AIndex;
}

void TcxCustomTextEditLookupData::InternalSetCurrentKey(int32_t AValue) {
  if (AValue < -1 || AValue >= GetItemCount()) return;
  FCurrentKey = AValue;
  InternalSetItemIndex(AValue);
}

void TcxCustomTextEditLookupData::DoSelectItem() {
  if (FOnSelectItem) FOnSelectItem(this);
}

void TcxCustomTextEditLookupData::SetCurrentKey(const Variant& AKey) {
  const int32_t prevKey = FCurrentKey;
  const int32_t key = LookupKeyToIndex(AKey);
  InternalSetCurrentKey(key);
  TcxCustomEdit* edit = GetEdit();
  TextChangedLock lock(edit);
  if (FCurrentKey != prevKey) {
    DoSelectItem();
  } else if (key >= 0 && key < GetItemCount() && edit && GetItem(key) != edit->GetDisplayText()) {
    DoSelectItem();
  }
}

void TcxCustomTextEditLookupData::SelectItem() {
  if (FItemIndex == -1) return;
  TcxCustomEdit* edit = GetEdit();
  if (FCurrentKey != FItemIndex && !(edit && edit->DoEditing())) return;
  const int32_t prevKey = FCurrentKey;
  SetCurrentKey(Variant(FItemIndex));
  if (FCurrentKey == prevKey) DoSelectItem();
}

int32_t TcxCustomTextEditLookupData::GetSelectedItem() {
  TcxCustomEditListBox* list = List();
  return list ? GetLookupItemIndexFromFilteredItemIndex(list->ItemIndex()) : -1;
}

void TcxCustomTextEditLookupData::SetSelectedItem(int32_t AIndex) {
  TcxCustomEditListBox* list = List();
  if (list && list->HandleAllocated()) list->SetItemIndex(GetFilteredItemIndex(AIndex));
}

void TcxCustomTextEditLookupData::HandleSelectItem(TObject*) {
  FItemIndex = GetSelectedItem();
}

// -- Moving

void TcxCustomTextEditLookupData::Go(TcxEditLookupDataGoDirection ADirection, bool ACircular) {
  const bool filterActive = IsFilterActive();
  if (!filterActive) ResetIncrementalFilter();
  const int32_t count = GetFilteredItemCount();
  if (count == 0) return;
  TcxCustomTextEditProperties* properties = ActiveProperties();
  const bool searchControl = UseSearchControl();
  int32_t start = FItemIndex;
  if (!searchControl && start == -1) start = FCurrentKey;
  int32_t p = GetFilteredItemIndex(start);
  const int32_t rows = properties ? properties->GetDropDownPageRowCount() : 8;
  switch (ADirection) {
    case egdBegin:
      p = 0;
      break;
    case egdEnd:
      p = count - 1;
      break;
    case egdNext:
      if (p + 1 < count)
        ++p;
      else if (ACircular)
        p = 0;
      else if (searchControl && filterActive)
        p = -1;
      break;
    case egdPrev:
      if (p - 1 >= 0)
        --p;
      else if (ACircular)
        p = count - 1;
      else if (searchControl && filterActive)
        p = p == -1 ? count - 1 : -1;
      break;
    case egdPageUp:
      if (p != -1)
        p = p == 0 && ACircular ? count - 1 : std::max(p - rows + 1, 0);
      else if (ACircular)
        p = count - 1;
      break;
    case egdPageDown: {
      int32_t next = p == -1 ? rows - 1 : p + rows - 1;
      if (next >= count) next = ACircular && p == count - 1 ? 0 : count - 1;
      p = next;
      break;
    }
  }
  const int32_t item = GetLookupItemIndexFromFilteredItemIndex(p);
  TcxCustomEditListBox* list = List();
  TcxCustomEdit* edit = GetEdit();
  if (!list || !list->IsVisible() ||
      (properties && properties->ImmediateUpdateText() && edit && edit->DoEditing())) {
    SetCurrentKey(Variant(item));
  } else {
    InternalSetItemIndex(item);
    if (TcxEditListBoxContainer* container = ListContainer()) container->ShowTouchScrollUI(container, true);
  }
}

// -- The visual list

TControl* TcxCustomTextEditLookupData::GetActiveControl() {
  return List();
}

bool TcxCustomTextEditLookupData::CanResizeVisualArea(TSize&, int32_t, int32_t) {
  return true;
}

TSize TcxCustomTextEditLookupData::GetVisualAreaPreferredSize(int32_t, int32_t) {
  return TSize{};
}

bool TcxCustomTextEditLookupData::IsMouseOverList(const TPoint& P) {
  TcxCustomEditListBox* list = List();
  if (!list || !list->HandleAllocated()) return false;
  return cxRectPtIn(list->ClientRect(), list->TWinControl::ScreenToClient(P));
}

void TcxCustomTextEditLookupData::Initialize(TWinControl* AVisualControlsParent) {
  FIsInitializing = true;
  try {
    DoInitialize(AVisualControlsParent);
  } catch (...) {
    FIsInitializing = false;
    throw;
  }
  FIsInitializing = false;
}

void TcxCustomTextEditLookupData::DoInitialize(TWinControl* AVisualControlsParent) {
  TcxCustomEdit* edit = GetEdit();
  bool isNew = false;
  if (!List()) {
    const TClass listClass = GetListBoxClass();
    if (!listClass || !edit) return;
    cxRemoveObjectLink(FListContainerLink);
    FListContainer = new TcxEditListBoxContainer(AVisualControlsParent);
    FListContainerLink = cxAddObjectLink(FListContainer);
    FList = ObjectCast<TcxCustomEditListBox>(listClass->Create(FListContainer));
    FList->SetLookupData(this);
    FList->SetContainer(FListContainer);
    FList->SetParent(FListContainer);
    FListContainer->SetInnerControl(FList);
    isNew = true;
  }
  FListContainer->SetParent(AVisualControlsParent);
  FListContainer->Style()->Assign(edit->Style());
  TcxContainerStyleValues assigned = FListContainer->Style()->AssignedValues();
  assigned.Include(svFont);
  FListContainer->Style()->SetAssignedValues(assigned);
  FList->ListCanvas()->SetFont(FList->Font());
  FList->OnSelectItem = nullptr;
  if (isNew) FList->RecreateWindow();
  FList->SetItemCount(GetFilteredItemCount());
  FList->OnSelectItem = TNotifyEvent(this, &TcxCustomTextEditLookupData::HandleSelectItem);
  FList->SetItemIndex(GetFilteredItemIndex(FItemIndex));
  if (!isNew) FList->RecreateWindow();
  FList->Invalidate();
  TextChanged();
}

void TcxCustomTextEditLookupData::DoPositionVisualArea(const TRect& R) {
  TcxEditListBoxContainer* container = ListContainer();
  if (!container) return;
  container->SetBoundsRect(R);
  if (FList->HandleAllocated()) FList->SetScrollWidth(FList->ScrollWidth());
}

void TcxCustomTextEditLookupData::ListChanged() {
  TcxCustomEditListBox* list = List();
  if (!list || !list->HandleAllocated()) return;
  list->Items()->BeginUpdate();
  try {
    list->SetItemCount(GetFilteredItemCount());
  } catch (...) {
    list->Items()->EndUpdate();
    throw;
  }
  list->Items()->EndUpdate();
}

void TcxCustomTextEditLookupData::CloseUp() {
  TcxCustomEdit* edit = GetEdit();
  if (edit && edit->EditModeSetting()) return;
  InternalSetItemIndex(FCurrentKey);
  ResetIncrementalFilter();
  if (TcxEditListBoxContainer* container = ListContainer()) container->HideTouchScrollUI(container, true);
}

// --- TcxCustomEditListBox ------------------------------------------------------------------------

TcxCustomEditListBox::TcxCustomEditListBox(TComponent* AOwner) : TcxCustomInnerListBox(AOwner) {
  SetStyle(lbOwnerDrawFixed);
  FListCanvas = std::make_unique<TcxCanvas>(Canvas());
  FGestureHelper = std::make_unique<TdxGestureHelper>(this);
}

TcxCustomEditListBox::~TcxCustomEditListBox() = default;

TcxCustomTextEditProperties* TcxCustomEditListBox::ActiveProperties() {
  return FLookupData ? FLookupData->ActiveProperties() : nullptr;
}

TcxControl* TcxCustomEditListBox::ListContainer() {
  return Container();
}

int32_t TcxCustomEditListBox::GetDefaultItemHeight() {
  int32_t height = cxTextHeight(Font());
  TcxCustomEdit* edit = Edit();
  dxAdjustToTouchableSize(height, edit ? edit->ScaleFactor() : nullptr);
  return height;
}

int32_t TcxCustomEditListBox::GetItemHeight(int32_t) {
  return GetDefaultItemHeight();
}

void TcxCustomEditListBox::MeasureItem(int Index, int& Height) {
  Height = GetItemHeight(Index);
}

int32_t TcxCustomEditListBox::GetHeight(int32_t ARowCount, int32_t) {
  return ARowCount * GetItemHeight(-1);
}

int32_t TcxCustomEditListBox::GetItemWidth(int32_t AIndex) {
  return cxTextWidth(Font(), GetItem(AIndex));
}

String TcxCustomEditListBox::GetItem(int32_t AIndex) {
  return AIndex >= 0 && AIndex < Items()->Count() ? Items()->Get(AIndex) : String();
}

bool TcxCustomEditListBox::IsVisible() {
  return HandleAllocated() && IsWindowVisible(Handle());
}

void TcxCustomEditListBox::CreateWnd() {
  // Fixed rows of the default height, measured before the window asks for them.
  if (Style() == lbOwnerDrawFixed) SetItemHeight(GetItemHeight(-1));
  TcxCustomInnerListBox::CreateWnd();
  // A window made after the lookup data chose its item starts at that item.
  if (FLookupData && FLookupData->ItemIndex() >= 0)
    TcxCustomInnerListBox::SetItemIndex(FLookupData->GetFilteredItemIndex(FLookupData->ItemIndex()));
}

void TcxCustomEditListBox::SetItemCount(int32_t ACount) {
  TStrings* items = Items();
  if (items->Count() == ACount) return;
  items->BeginUpdate();
  try {
    while (items->Count() < ACount) items->Add(GetItem(items->Count()));
    while (items->Count() > std::max(ACount, 0)) items->Delete(items->Count() - 1);
  } catch (...) {
    items->EndUpdate();
    throw;
  }
  items->EndUpdate();
}

void TcxCustomEditListBox::SetItemIndex(int32_t Value) {
  TcxCustomInnerListBox::SetItemIndex(Value);
  DoSelectItem();
}

void TcxCustomEditListBox::SetScrollWidth(int32_t Value) {
  TcxCustomInnerListBox::SetScrollWidth(0);
  TcxCustomInnerListBox::SetScrollWidth(Value);
}

void TcxCustomEditListBox::DoSelectItem() {
  SetExternalScrollBarsParameters();
  if (OnSelectItem) OnSelectItem(this);
}

void TcxCustomEditListBox::Click() {
  TcxCustomInnerListBox::Click();
  DoSelectItem();
}

bool TcxCustomEditListBox::CanFocus() {
  TcxCustomTextEditProperties* properties = ActiveProperties();
  if (properties && properties->UseSearchControl()) return false;
  return TcxCustomInnerListBox::CanFocus();
}

// -- Drawing

bool TcxCustomEditListBox::NeedDrawFocusRect() {
  TcxCustomTextEditProperties* properties = ActiveProperties();
  if (!properties) return false;
  const TcxEditEditingStyle style = properties->GetEditingStyle();
  return (style == esFixedList || style == esNoEdit) && !properties->IncrementalFiltering();
}

bool TcxCustomEditListBox::IsHighlightSearchText() {
  TcxCustomTextEditProperties* properties = ActiveProperties();
  return properties && properties->IncrementalFiltering() &&
         properties->IncrementalFilteringOptions().Contains(ifoHighlightSearchText);
}

uint32_t TcxCustomEditListBox::GetDrawTextFlags() {
  if (IsHighlightSearchText())
    return (UseRightToLeftAlignment() ? CXTO_RIGHT : CXTO_LEFT) | CXTO_CENTER_VERTICALLY | CXTO_SINGLELINE |
           CXTO_END_ELLIPSIS;
  return static_cast<uint32_t>(DrawTextBiDiModeFlags(DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX));
}

void TcxCustomEditListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (DoDrawItem(Index, Rect, State)) return;
  FListCanvas->FillRect(Rect);
  if (Index < 0 || Index >= Items()->Count()) return;
  TRect r = Rect;
  if (UseRightToLeftAlignment())
    r.Right -= 2;
  else
    r.Left += 2;
  const String text = GetItem(Index);
  if (IsHighlightSearchText()) {
    DrawItemText(text, r);
  } else {
    RECT rc = r;
    DrawTextW(FListCanvas->Handle(), text.c_str(), static_cast<int>(text.size()), &rc, GetDrawTextFlags());
  }
}

void TcxCustomEditListBox::DrawItemText(const String& AText, const TRect& R) {
  const String searchText = FLookupData ? FLookupData->SearchText() : String();
  int32_t selStart = -1;
  if (!searchText.empty()) {
    const size_t at = UpperCase(AText).find(UpperCase(searchText));
    if (at != String::npos) selStart = static_cast<int32_t>(at);
  }
  uint32_t flags = GetDrawTextFlags();
  if ((FListCanvas->TextFlags() & ETO_RTLREADING) != 0) flags |= CXTO_RTLREADING;
  TRect r = R;
  cxTextOut(FListCanvas->Handle(), AText, r, flags, selStart, static_cast<int32_t>(searchText.size()),
            FListCanvas->Font(), clHighlight, clHighlightText, 0, 0, 0, FListCanvas->Font()->Color());
}

// -- Mouse, wheel and messages

void TcxCustomEditListBox::MouseMove(TShiftState Shift, int X, int Y) {
  TcxCustomInnerListBox::MouseMove(Shift, X, Y);
  const TPoint p{X, Y};
  if (HandleAllocated() && GetCapture() != Handle() && FHotTrack && p != FPrevMousePos) {
    const int32_t index = ItemAtPos(p, false);
    if (index >= 0 && index < Items()->Count() && index != ItemIndex()) SetItemIndex(index);
  }
  FPrevMousePos = p;
}

bool TcxCustomEditListBox::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (TcxCustomInnerListBox::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  const int32_t delta = std::clamp(WheelDelta, -WHEEL_DELTA, WHEEL_DELTA);
  if ((delta > 0 && FMouseWheelAccumulator < 0) || (delta < 0 && FMouseWheelAccumulator > 0))
    FMouseWheelAccumulator = 0;
  FMouseWheelAccumulator += delta;
  if (std::abs(FMouseWheelAccumulator) >= WHEEL_DELTA) {
    const bool up = FMouseWheelAccumulator > 0;
    FMouseWheelAccumulator = 0;
    if (HandleAllocated()) {
      const int lines = Mouse->WheelScrollLines();
      if (lines < 0) {
        SendMessageW(Handle(), WM_VSCROLL, up ? SB_PAGEUP : SB_PAGEDOWN, 0);
      } else {
        for (int i = 0; i < lines; ++i) SendMessageW(Handle(), WM_VSCROLL, up ? SB_LINEUP : SB_LINEDOWN, 0);
      }
    }
  }
  return true;
}

void TcxCustomEditListBox::WndProc(TMessage& Message) {
  if (FGestureHelper && FGestureHelper->HandleMessage(Message)) return;
  if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && HandleAllocated() &&
      IsFocusInEditor()) {
    // The system list would take the focus, and the editor closes its popup when it loses
    // it: the press only selects the row and captures the mouse for the release.
    SetCapture(Handle());
    const TPoint p{static_cast<int16_t>(LOWORD(Message.LParam)),
                   static_cast<int16_t>(HIWORD(Message.LParam))};
    const int32_t index = ItemAtPos(p, true);
    if (index >= 0 && index != ItemIndex()) SetItemIndex(index);
    Message.Result = 0;
    return;
  }
  if (Message.Msg == CM_MOUSELEAVE) FPrevMousePos = cxInvalidPoint;
  TcxCustomInnerListBox::WndProc(Message);
  // Shown: the system list draws as focused without taking the focus.
  if (Message.Msg == CM_SHOWINGCHANGED && Showing() && HandleAllocated())
    CallWindowProcW(DefWndProc(), Handle(), WM_SETFOCUS, 0, 0);
}

bool TcxCustomEditListBox::IsFocusInEditor() {
  TcxCustomEdit* edit = Edit();
  if (!edit || !edit->HandleAllocated()) return false;
  const HWND focus = GetFocus();
  if (!focus) return false;
  return focus == edit->Handle() || IsChild(edit->Handle(), focus);
}

// -- Gestures

bool TcxCustomEditListBox::AllowGesture(TGestureID AGestureID) {
  // Framework ids are the system's plus 256.
  const DWORD id = static_cast<DWORD>(AGestureID > 256 ? AGestureID - 256 : AGestureID);
  if (id < GID_BEGIN || id > GID_BEGIN + 7) return false;
  return Touch()->InteractiveGestures().Contains(GetInteractiveGestureByGestureID(id));
}

bool TcxCustomEditListBox::AllowPan(TScrollBarKind AScrollKind) {
  TcxControl* container = ListContainer();
  if (!container) return false;
  TcxControlScrollBar* bar = container->GetScrollBar(AScrollKind);
  return bar && container->IsScrollBarActive(AScrollKind) && bar->Enabled();
}

void TcxCustomEditListBox::BeginGestureScroll(const TPoint&) {
  FGestureAccumulatedDelta = TPoint{};
  if (TcxControl* container = ListContainer()) container->ShowTouchScrollUI(container, false);
}

void TcxCustomEditListBox::EndGestureScroll() {
  if (TcxControl* container = ListContainer()) container->HideTouchScrollUI(container, false);
}

void TcxCustomEditListBox::GestureScroll(int32_t ADeltaX, int32_t ADeltaY) {
  if (!HandleAllocated()) return;
  if (ADeltaY != 0) {
    FGestureAccumulatedDelta.Y += ADeltaY;
    const int32_t itemHeight = std::max(GetItemHeight(-1), 1);
    const int32_t items = FGestureAccumulatedDelta.Y / itemHeight;
    if (items != 0) {
      FGestureAccumulatedDelta.Y = 0;
      SCROLLINFO si{};
      si.cbSize = sizeof(si);
      si.fMask = SIF_ALL;
      GetScrollInfo(Handle(), SB_VERT, &si);
      const int32_t top = TopIndex() - items;
      DoScroll(sbVertical, scPosition, std::max(top, 0));
      FGestureHelper->CheckOverpan(sbVertical, top, 0, si.nMax - static_cast<int32_t>(si.nPage) + 1, ADeltaX,
                                   ADeltaY);
    }
  }
  if (ADeltaX != 0) {
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    GetScrollInfo(Handle(), SB_HORZ, &si);
    const int32_t maxPos = std::max(si.nMax - static_cast<int32_t>(si.nPage) + 1, 0);
    const int32_t pos = si.nPos - ADeltaX;
    DoScroll(sbHorizontal, scPosition, std::clamp(pos, 0, maxPos));
    SetExternalScrollBarsParameters();
    FGestureHelper->CheckOverpan(sbHorizontal, pos, 0, maxPos, ADeltaX, ADeltaY);
  }
}

TInteractiveGestureOptions TcxCustomEditListBox::GetPanOptions() {
  return Touch()->InteractiveGestureOptions();
}

bool TcxCustomEditListBox::IsPanArea(const TPoint& APoint) {
  return cxRectPtIn(ClientRect(), APoint);
}

// --- TcxEditListBoxContainer ------------------------------------------------------------------

TcxEditListBoxContainer::TcxEditListBoxContainer(TComponent* AOwner) : TcxCustomEditContainer(AOwner) {
  SetBounds(Left(), Top(), 121, 97);
}

bool TcxEditListBoxContainer::CanFocus() {
  return ListBox() && ListBox()->CanFocus() && TcxCustomEditContainer::CanFocus();
}

bool TcxEditListBoxContainer::AllowTouchScrollUIMode() {
  return !ComponentState().Contains(csDesigning);
}

void TcxEditListBoxContainer::Scroll(TScrollBarKind AKind, TScrollCode ACode, int32_t& APos) {
  TcxCustomEditContainer::Scroll(AKind, ACode, APos);
  if (Enabled() && ListBox()) ListBox()->DoScroll(AKind, ACode, APos);
}

void TcxEditListBoxContainer::DoScrollUIModeChanged() {
  TcxCustomEditContainer::DoScrollUIModeChanged();
  if (ListBox()) ListBox()->InternalRecreateWindow();
}

void TcxEditListBoxContainer::WndProc(TMessage& Message) {
  TcxCustomEditContainer::WndProc(Message);
  if (Message.Msg == WM_WINDOWPOSCHANGED && !ComponentState().Contains(csDestroying))
    SetScrollBarsParameters();
}

}  // namespace qd
