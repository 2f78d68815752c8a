#pragma once
// The text editor's lookup data: the current item, locating an item from typed text, moving
// through the items, filtering them by the typed text, and the owner-drawn list that a
// drop-down shows them in.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/variant.h"
#include "ui/controls/cxInnerListBox.h"
#include "ui/core/dxTouch.h"
#include "ui/editors/cxEdit.h"
#include "ui/editors/cxTextEdit.h"

namespace qd {

class TcxCanvas;
class TcxCustomEditListBox;
class TcxEditListBoxContainer;
class TcxObjectLink;

// --- Interfaces -------------------------------------------------------------------------------

// How an editor reaches its lookup data.
class IcxTextEditLookupData {
 public:
  virtual ~IcxTextEditLookupData() = default;
  // ANewSize may be corrected (to whole rows); a zero maximum means none.
  virtual bool CanResizeVisualArea(TSize& ANewSize, int32_t AMaxHeight = 0, int32_t AMaxWidth = 0) = 0;
  virtual void CloseUp() = 0;
  virtual void Deinitialize() = 0;
  virtual void DropDown() = 0;
  virtual void DroppedDown(const String& AFindStr) = 0;
  virtual bool Find(const String& AText) = 0;
  virtual TControl* GetActiveControl() = 0;
  virtual Variant GetCurrentKey() = 0;
  virtual String GetDisplayText(const Variant& AKey) = 0;
  virtual TNotifyEvent GetOnCurrentKeyChanged() = 0;
  virtual TNotifyEvent GetOnSelectItem() = 0;
  virtual int32_t GetSelectedItem() = 0;
  virtual TSize GetVisualAreaPreferredSize(int32_t AMaxHeight, int32_t AWidth = 0) = 0;
  virtual void Go(TcxEditLookupDataGoDirection ADirection, bool ACircular) = 0;
  virtual void Initialize(TWinControl* AVisualControlsParent) = 0;
  virtual bool IsEmpty() = 0;
  virtual bool IsMouseOverList(const TPoint& P) = 0;
  // AText: the typed text (on success in the item's capitalisation under the list styles);
  // ATail: the rest of the found item.
  virtual bool Locate(String& AText, String& ATail, bool ANext) = 0;
  virtual void PositionVisualArea(const TRect& AClientRect) = 0;
  virtual void PropertiesChanged() = 0;
  virtual void SelectItem() = 0;
  virtual void SetCurrentKey(const Variant& AKey) = 0;
  virtual void SetOnCurrentKeyChanged(TNotifyEvent Value) = 0;
  virtual void SetOnSelectItem(TNotifyEvent Value) = 0;
  virtual void SetSelectedItem(int32_t Value) = 0;
  virtual void TextChanged() = 0;
};

class IcxTextEditLookupDataIncrementalFilter {
 public:
  virtual ~IcxTextEditLookupDataIncrementalFilter() = default;
  virtual void ResetIncrementalFilter() = 0;
};

// --- Lookup data ------------------------------------------------------------------------------

class TcxCustomTextEditLookupData : public TcxInterfacedPersistent,
                                    public IcxTextEditLookupData,
                                    public IcxTextEditLookupDataIncrementalFilter {
  QD_CLASS(TcxCustomTextEditLookupData, TcxInterfacedPersistent)

 public:
  explicit TcxCustomTextEditLookupData(TPersistent* AOwner);
  ~TcxCustomTextEditLookupData() override;

  // The owning editor (nil when the owner is not an editor).
  TcxCustomEdit* GetEdit() const;
  // The properties of the owning editor (nil when the owner is not an editor).
  virtual TcxCustomTextEditProperties* ActiveProperties() const;
  // The list while its container exists.
  TcxCustomEditListBox* List() const;
  TcxEditListBoxContainer* ListContainer() const;
  // The item selected in the list (may differ from the current key while the list is open).
  int32_t ItemIndex() const { return FItemIndex; }
  const String& SearchText() const { return FSearchText; }
  bool IsInitializing() const { return FIsInitializing; }

  // The first item equal to AText ignoring case, or -1.
  int32_t IndexOf(const String& AText);
  // The visible (filtered) items.
  int32_t GetFilteredItemCount();
  String GetFilteredItem(int32_t AFilteredIndex);
  int32_t GetLookupItemIndexFromFilteredItemIndex(int32_t AFilteredIndex);
  // The position of an item among the visible items, -1 when it is not one of them.
  int32_t GetFilteredItemIndex(int32_t AItemIndex);
  bool IsIncrementalFiltering();
  bool IsLikeTypeFiltering();

  // IcxTextEditLookupData
  bool CanResizeVisualArea(TSize& ANewSize, int32_t AMaxHeight = 0, int32_t AMaxWidth = 0) override;
  void CloseUp() override;
  void Deinitialize() override {}
  void DropDown() override {}
  void DroppedDown(const String&) override {}
  bool Find(const String& AText) override;
  TControl* GetActiveControl() override;
  Variant GetCurrentKey() override { return Variant(FCurrentKey); }
  String GetDisplayText(const Variant& AKey) override;
  TNotifyEvent GetOnCurrentKeyChanged() override { return FOnCurrentKeyChanged; }
  TNotifyEvent GetOnSelectItem() override { return FOnSelectItem; }
  int32_t GetSelectedItem() override;
  TSize GetVisualAreaPreferredSize(int32_t AMaxHeight, int32_t AWidth = 0) override;
  void Go(TcxEditLookupDataGoDirection ADirection, bool ACircular) override;
  void Initialize(TWinControl* AVisualControlsParent) override;
  bool IsEmpty() override { return GetFilteredItemCount() == 0; }
  bool IsMouseOverList(const TPoint& P) override;
  bool Locate(String& AText, String& ATail, bool ANext) override;
  void PositionVisualArea(const TRect& AClientRect) override { DoPositionVisualArea(AClientRect); }
  void PropertiesChanged() override { ListChanged(); }
  void SelectItem() override;
  void SetCurrentKey(const Variant& AKey) override;
  void SetOnCurrentKeyChanged(TNotifyEvent Value) override { FOnCurrentKeyChanged = Value; }
  void SetOnSelectItem(TNotifyEvent Value) override { FOnSelectItem = Value; }
  void SetSelectedItem(int32_t AIndex) override;
  void TextChanged() override;
  // IcxTextEditLookupDataIncrementalFilter
  void ResetIncrementalFilter() override;

  virtual String GetItem(int32_t AIndex);
  virtual int32_t GetItemCount();
  // The visible items: those that contain (like-type) or start with AText, ignoring case.
  virtual void UpdateFilteredLookupItems(const String& AText);

 protected:
  virtual void DoInitialize(TWinControl* AVisualControlsParent);
  virtual void DoPositionVisualArea(const TRect& R);
  virtual TClass GetListBoxClass() { return nullptr; }
  virtual void HandleSelectItem(TObject* Sender);
  virtual bool InternalLocate(String& AText, String& ATail, bool AFromTextChange, bool ANext);
  virtual bool IsFilterActive();
  virtual void ListChanged();
  virtual bool NeedLocateItemWithFullString() { return false; }
  virtual bool UseSearchControl();

  // The first item from AStart whose text (whole, or its first Length(AText) characters)
  // equals AText ignoring case; under like-type filtering with an active filter the first
  // item that contains AText.
  int32_t FindItemByText(const String& AText, int32_t AStart, bool AWholeText);
  void InternalSetItemIndex(int32_t AIndex);
  void InternalSetCurrentKey(int32_t AValue);
  void DoSelectItem();

  int32_t FCurrentKey = -1;
  int32_t FItemIndex = -1;
  String FSearchText;
  std::vector<int32_t> FFilteredLookupItems;
  bool FIsInitializing = false;
  TcxCustomEditListBox* FList = nullptr;
  TcxEditListBoxContainer* FListContainer = nullptr;

 private:
  // Nothing found: whether the current key is cleared depends on the editing style.
  void CheckCurrentKey(const String& AText, bool AFromTextChange);
  // The editor's lookup text-changed notice locked for the scope.
  class TextChangedLock;

  // The container is owned by the popup it lives in; the link tells when it is gone.
  TcxObjectLink* FListContainerLink = nullptr;
  TNotifyEvent FOnCurrentKeyChanged;
  TNotifyEvent FOnSelectItem;
};

// --- The edit list box ------------------------------------------------------------------------

// The list inside a drop-down: owner-drawn, virtual (it keeps item strings only to size
// itself), hot-tracked, framed by a TcxEditListBoxContainer that gives it the library's bars.
class TcxCustomEditListBox : public TcxCustomInnerListBox, public IdxGestureClient, public IdxGestureOwner {
  QD_CLASS(TcxCustomEditListBox, TcxCustomInnerListBox)

 public:
  explicit TcxCustomEditListBox(TComponent* AOwner);
  ~TcxCustomEditListBox() override;

  // Rows of the default height.
  virtual int32_t GetHeight(int32_t ARowCount, int32_t AMaxHeight);
  virtual int32_t GetItemHeight(int32_t AIndex = -1);
  // The width of the item text in the list's font.
  virtual int32_t GetItemWidth(int32_t AIndex);
  bool IsVisible();
  void SetItemCount(int32_t ACount);
  // Selects the row (a position among the visible items) and reports the selection.
  virtual void SetItemIndex(int32_t Value);
  int32_t ScrollWidth() { return TcxCustomInnerListBox::ScrollWidth(); }
  void SetScrollWidth(int32_t Value);
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value) { FHotTrack = Value; }
  TcxCustomTextEditLookupData* LookupData() const { return FLookupData; }
  void SetLookupData(TcxCustomTextEditLookupData* Value) { FLookupData = Value; }
  TcxCustomEdit* Edit() const { return FLookupData ? FLookupData->GetEdit() : nullptr; }
  TcxCanvas* ListCanvas() const { return FListCanvas.get(); }
  // Item data is not kept: every item's data is 0.
  intptr_t GetItemData(int32_t) const { return 0; }
  void SetItemData(int32_t, intptr_t) {}
  // The height of a row: the list font's text height, at least the touch-friendly minimum.
  int32_t GetDefaultItemHeight();
  void InternalRecreateWindow() { RecreateWnd(); }
  virtual void RecreateWindow() {}
  using TcxCustomInnerListBox::DoScroll;

  TNotifyEvent OnSelectItem;

  // IdxGestureClient, IdxGestureOwner
  bool AllowGesture(TGestureID AGestureID) override;
  bool AllowPan(TScrollBarKind AScrollKind) override;
  void BeginGestureScroll(const TPoint& APos) override;
  void EndGestureScroll() override;
  void GestureScroll(int32_t ADeltaX, int32_t ADeltaY) override;
  TInteractiveGestureOptions GetPanOptions() override;
  bool IsPanArea(const TPoint& APoint) override;
  bool NeedPanningFeedback(TScrollBarKind) override { return true; }
  IdxGestureClient* GetGestureClient(const TPoint&) override { return this; }
  HWND GetHandle() override { return HandleAllocated() ? Handle() : nullptr; }
  bool IsGestureTarget(HWND AWnd) override { return HandleAllocated() && AWnd == Handle(); }
  TPoint ScreenToClient(const TPoint& APoint) override { return TWinControl::ScreenToClient(APoint); }

  void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
  void MeasureItem(int Index, int& Height) override;
  bool CanFocus() override;
  void WndProc(TMessage& Message) override;
  // The wheel as the list takes it; the accumulated remainder waits for the next notch.
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

 protected:
  bool NeedDrawFocusRect() override;
  virtual uint32_t GetDrawTextFlags();
  virtual bool IsHighlightSearchText();
  // Owner drawing of an item by a descendant; True when it drew.
  virtual bool DoDrawItem(int32_t AIndex, const TRect& ARect, TOwnerDrawState AState) { return false; }
  virtual String GetItem(int32_t AIndex);
  // AText with the lookup data's search text highlighted.
  void DrawItemText(const String& AText, const TRect& R);
  // The focus is in the editor the list belongs to (its popup leaves the focus there).
  bool IsFocusInEditor();

  void Click() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void CreateWnd() override;

  bool FHotTrack = true;
  int32_t FMouseWheelAccumulator = 0;
  TPoint FPrevMousePos = cxInvalidPoint;
  TPoint FGestureAccumulatedDelta;
  TcxCustomTextEditLookupData* FLookupData = nullptr;

 private:
  void DoSelectItem();
  TcxCustomTextEditProperties* ActiveProperties();
  TcxControl* ListContainer();
  std::unique_ptr<TdxGestureHelper> FGestureHelper;
  std::unique_ptr<TcxCanvas> FListCanvas;
};

// The container that frames the edit list box and shows its scroll bars.
class TcxEditListBoxContainer : public TcxCustomEditContainer {
  QD_CLASS(TcxEditListBoxContainer, TcxCustomEditContainer)

 public:
  explicit TcxEditListBoxContainer(TComponent* AOwner);

  TcxCustomEditListBox* ListBox() const { return static_cast<TcxCustomEditListBox*>(InnerControl()); }
  // The room the bars take, for sizing the list.
  using TcxCustomEditContainer::GetHScrollBarDefaultAreaHeight;
  using TcxCustomEditContainer::GetVScrollBarDefaultAreaWidth;
  bool NeedsScrollBars() override { return true; }
  bool IsMouseWheelHandleNeeded() override { return false; }
  TRect GetBorderExtent() override { return TRect{}; }
  bool CanFocus() override;
  // A click in the list leaves the focus where the drop-down put it (the editor, or the
  // popup's focused control): the editor closes its popup when it loses the focus.
  bool CanFocusOnClick() override { return false; }
  bool AllowTouchScrollUIMode() override;
  void Scroll(TScrollBarKind AKind, TScrollCode ACode, int32_t& APos) override;

 protected:
  void WndProc(TMessage& Message) override;
  // The list's system bars follow the new mode.
  void DoScrollUIModeChanged() override;
};

}  // namespace qd
