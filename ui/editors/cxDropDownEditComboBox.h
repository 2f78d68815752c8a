#pragma once
// The combo box: the drop-down editor whose popup lists its items, sized to whole rows; typing
// completes from the items or filters them, and items and the edit area may be owner-drawn.
#include <cstdint>

#include "ui/editors/cxDropDownEdit.h"
#include "ui/editors/cxTextEditLookup.h"
#include "ui/editors/dxIncrementalFiltering.h"

namespace qd {

class TcxCustomComboBox;
class TcxComboBoxLookupData;
class TcxCustomFilterEditHelper;

// How the list limits typing: lsEditFixedList types only items, lsEditList types free text,
// lsFixedList selects items without typing.
enum TcxEditDropDownListStyle : uint8_t { lsEditFixedList, lsEditList, lsFixedList };

using TcxEditDrawItemEvent = TMethod<void(TcxCustomComboBox* AControl, TcxCanvas* ACanvas, int32_t AIndex,
                                          const TRect& ARect, TOwnerDrawState AState)>;
using TcxEditMeasureItemEvent =
    TMethod<void(TcxCustomComboBox* AControl, int32_t AIndex, TcxCanvas* ACanvas, int32_t& AHeight)>;

// --- Properties ------------------------------------------------------------------------------

class TcxCustomComboBoxProperties : public TcxCustomDropDownEditProperties {
  QD_CLASS(TcxCustomComboBoxProperties, TcxCustomDropDownEditProperties)

 public:
  explicit TcxCustomComboBoxProperties(TPersistent* AOwner);

  TcxEditDropDownListStyle DropDownListStyle() const { return FDropDownListStyle; }
  void SetDropDownListStyle(TcxEditDropDownListStyle Value);
  int32_t DropDownRows() const { return FDropDownRows; }
  // 0 and negative values are ignored.
  void SetDropDownRows(int32_t Value);
  // 0: the list's default row height.
  int32_t ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int32_t Value);
  bool Revertable() const { return FRevertable; }
  void SetRevertable(bool Value) { FRevertable = Value; }
  // Aliases of inherited settings.
  bool DropDownAutoWidth() const { return PopupAutoSize(); }
  void SetDropDownAutoWidth(bool Value) { SetPopupAutoSize(Value); }
  bool DropDownSizeable() const { return PopupSizeable(); }
  void SetDropDownSizeable(bool Value) { SetPopupSizeable(Value); }
  int32_t DropDownWidth() const { return PopupWidth(); }
  void SetDropDownWidth(int32_t Value) { SetPopupWidth(Value); }
  TStringList* Items() const { return LookupItems(); }
  void SetItems(TStrings* Value) { SetLookupItems(Value); }
  bool Sorted() const { return LookupItemsSorted(); }
  void SetSorted(bool Value) { SetLookupItemsSorted(Value); }

  TcxEditDrawItemEvent OnDrawItem;
  TcxEditMeasureItemEvent OnMeasureItem;

  TClass GetContainerClass() const override;
  TClass GetViewInfoClass() const override;
  TClass GetViewDataClass() const override;
  TClass GetLookupDataClass() override;
  TClass GetPopupWindowClass() override;
  bool UseLookupData() override { return true; }
  bool DropDownOnClick() override { return FDropDownListStyle == lsFixedList; }
  int32_t GetDropDownPageRowCount() override { return FDropDownRows; }
  TcxEditEditingStyle GetEditingStyle() override;
  void ChangeScale(int32_t M, int32_t D) override;

 protected:
  void DoAssign(TcxCustomEditProperties* Source) override;

 private:
  TcxEditDropDownListStyle FDropDownListStyle = lsEditList;
  int32_t FDropDownRows = 8;
  int32_t FItemHeight = 0;
  bool FRevertable = false;
};

// The published combo box properties.
class TcxComboBoxProperties : public TcxCustomComboBoxProperties {
  QD_CLASS(TcxComboBoxProperties, TcxCustomComboBoxProperties)
  QD_PUBLISHED(TcxComboBoxProperties)

 public:
  using TcxCustomComboBoxProperties::TcxCustomComboBoxProperties;
};

// --- View data and view info ---------------------------------------------------------------------

class TcxCustomComboBoxViewInfo : public TcxCustomTextEditViewInfo {
  QD_CLASS(TcxCustomComboBoxViewInfo, TcxCustomTextEditViewInfo)

 public:
  TcxCustomComboBoxViewInfo();
  void Assign(TObject* Source) override;

  // The item owner-drawn in the edit area, -1 for none.
  int32_t ItemIndex = -1;

 protected:
  virtual void DoCustomDraw(TcxCanvas* ACanvas, const TRect& ARect);
};

class TcxCustomComboBoxViewData : public TcxCustomDropDownEditViewData {
  QD_CLASS(TcxCustomComboBoxViewData, TcxCustomDropDownEditViewData)

 public:
  using TcxCustomDropDownEditViewData::TcxCustomDropDownEditViewData;
  void Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, TcxMouseButton Button,
                 TShiftState Shift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void EditValueToDrawValue(const Variant& AEditValue, TcxCustomEditViewInfo* AViewInfo) override;
  TRect GetDrawTextOffset() override;
  bool IsComboBoxStyle() override { return true; }
};

// --- The list ----------------------------------------------------------------------------------

class TcxCustomComboBoxListBox : public TcxCustomEditListBox {
  QD_CLASS(TcxCustomComboBoxListBox, TcxCustomEditListBox)

 public:
  explicit TcxCustomComboBoxListBox(TComponent* AOwner);

  // The heights of the first ARowCount rows.
  int32_t GetHeight(int32_t ARowCount, int32_t AMaxHeight) override;
  void MeasureItem(int Index, int& Height) override;
  void RecreateWindow() override { InternalRecreateWindow(); }
  TcxCustomComboBox* ComboBox() const;
  // With the search control, a click in the list gives the focus back to the search edit.
  void FocusSearchEdit();

 protected:
  void Click() override;
  void DblClick() override;
  void CreateParams(TCreateParams& Params) override;
  bool DoDrawItem(int32_t AIndex, const TRect& ARect, TOwnerDrawState AState) override;
  String GetItem(int32_t AIndex) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
};

class TcxComboBoxListBox : public TcxCustomComboBoxListBox {
  QD_CLASS(TcxComboBoxListBox, TcxCustomComboBoxListBox)

 public:
  using TcxCustomComboBoxListBox::TcxCustomComboBoxListBox;
  using OwnerType = TComponent;

  int32_t GetItemHeight(int32_t AIndex = -1) override;
  void RecreateWindow() override;
  void SetItemIndex(int32_t Value) override;

 protected:
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Resize() override;
};

// --- Lookup data ---------------------------------------------------------------------------------

// The search edit of a filtered combo box list.
class TcxComboBoxIncrementalFilteringHelper : public TdxCustomIncrementalFilteringHelper {
  QD_CLASS(TcxComboBoxIncrementalFilteringHelper, TdxCustomIncrementalFilteringHelper)

 public:
  explicit TcxComboBoxIncrementalFilteringHelper(TcxComboBoxLookupData* ALookupData)
      : FLookupData(ALookupData) {}

  TcxCustomLookAndFeelPainter* GetLookAndFeelPainter() override;
  void InitSearchEdit() override;
  void SearchEditKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) override;
  void SearchEditKeyPress(TObject* Sender, Char& Key) override;
  void SearchEditMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos,
                            bool& Handled) override;
  void SearchEditValueChanged(TObject* Sender) override;
  // Made and parented with the search control, destroyed without it.
  void CheckSearchControl(TWinControl* AParent);

 private:
  TcxComboBoxLookupData* FLookupData;
};

class TcxComboBoxLookupData : public TcxCustomTextEditLookupData {
  QD_CLASS(TcxComboBoxLookupData, TcxCustomTextEditLookupData)

 public:
  using OwnerType = TPersistent;
  explicit TcxComboBoxLookupData(TPersistent* AOwner);
  ~TcxComboBoxLookupData() override;

  TcxCustomComboBox* ComboBox() const;
  TcxComboBoxIncrementalFilteringHelper* IncrementalFilteringHelper() const {
    return FIncrementalFilteringHelper;
  }
  // The search edit's height and margins while it holds text, else 0.
  int32_t GetSearchEditHeight();

  // Snaps the height to whole rows.
  bool CanResizeVisualArea(TSize& ANewSize, int32_t AMaxHeight = 0, int32_t AMaxWidth = 0) override;
  void CloseUp() override;
  TControl* GetActiveControl() override;
  TSize GetVisualAreaPreferredSize(int32_t AMaxHeight, int32_t AWidth = 0) override;
  void PositionVisualArea(const TRect& AClientRect) override;
  void TextChanged() override;

 protected:
  virtual TcxComboBoxIncrementalFilteringHelper* CreateIncrementalFilteringHelper();
  void DoInitialize(TWinControl* AVisualControlsParent) override;
  TClass GetListBoxClass() override;
  bool IsFilterActive() override;

 private:
  friend class TcxComboBoxIncrementalFilteringHelper;
  TcxComboBoxIncrementalFilteringHelper* FIncrementalFilteringHelper = nullptr;
};

// --- The popup ---------------------------------------------------------------------------------

class TcxComboBoxPopupWindow : public TcxCustomEditPopupWindow {
  QD_CLASS(TcxComboBoxPopupWindow, TcxCustomEditPopupWindow)

 public:
  using OwnerType = TWinControl;
  using TcxCustomEditPopupWindow::TcxCustomEditPopupWindow;
  // As wide as the editor at least (unless a width is set), as high as its rows.
  void CalculateSize(TSize& ASize) override;
};

// --- The editor --------------------------------------------------------------------------------

// The inner edit: a mouse release never makes a click.
class TcxCustomComboBoxInnerEdit : public TcxCustomInnerTextEdit {
  QD_CLASS(TcxCustomComboBoxInnerEdit, TcxCustomInnerTextEdit)

 public:
  using TcxCustomInnerTextEdit::TcxCustomInnerTextEdit;

 protected:
  void WndProc(TMessage& Message) override;
};

class TcxCustomComboBox : public TcxCustomDropDownEdit {
  QD_CLASS(TcxCustomComboBox, TcxCustomDropDownEdit)

 public:
  explicit TcxCustomComboBox(TComponent* AOwner) : TcxCustomComboBox(AOwner, false) {}
  TcxCustomComboBox(TComponent* AOwner, bool AIsInplace);

  TClass GetPropertiesClass() const override { return TcxCustomComboBoxProperties::StaticClass(); }
  TcxCustomComboBoxProperties* ActiveProperties() {
    return static_cast<TcxCustomComboBoxProperties*>(TcxCustomEdit::ActiveProperties());
  }
  TcxCustomComboBoxProperties* Properties() {
    return static_cast<TcxCustomComboBoxProperties*>(TcxCustomEdit::Properties());
  }
  TcxComboBoxLookupData* LookupData() const;
  int32_t SelectedItem();
  void SetSelectedItem(int32_t Value);

  void DoOnDrawItem(TcxCanvas* ACanvas, int32_t AIndex, TOwnerDrawState AState, const TRect& ARect);
  void DoOnMeasureItem(int32_t AIndex, TcxCanvas* ACanvas, int32_t& AHeight);
  bool IsOnDrawItemEventAssigned();
  bool IsOnMeasureItemEventAssigned();
  // Whether the lookup data follows the editor's text now.
  bool CanSynchronizeLookupData();
  void SynchronizeItemIndex();
  bool IsTextInputMode() override;
  void SetupPopupWindow() override;
  void GetPopupWindowClientPreferredSize(TSize& ASize) override;

  // Set, the list ignores the next mouse move (the popup opened under the cursor, or the
  // list's item was set by keys).
  bool FPopupMouseMoveLocked = false;

 protected:
  friend class TcxComboBoxLookupData;
  friend class TcxComboBoxIncrementalFilteringHelper;
  bool CanDropDown() override;
  void ChangeHandler(TObject* Sender) override;
  void DblClick() override;
  TClass GetInnerEditClass() override { return TcxCustomComboBoxInnerEdit::StaticClass(); }
  void InitializeInnerEdit() override;
  void InitializePopupWindow() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void PopupWindowShowed(TObject* Sender) override;
  bool PopulateFromList(String& AText) override;
  void WndProc(TMessage& Message) override;
};

class TcxComboBox : public TcxCustomComboBox {
  QD_CLASS(TcxComboBox, TcxCustomComboBox)
  QD_PUBLISHED(TcxComboBox)

 public:
  using TcxCustomComboBox::TcxCustomComboBox;
  TClass GetPropertiesClass() const override { return TcxComboBoxProperties::StaticClass(); }
  TcxComboBoxProperties* Properties() {
    return static_cast<TcxComboBoxProperties*>(TcxCustomEdit::Properties());
  }
  TcxComboBoxProperties* ActiveProperties() {
    return static_cast<TcxComboBoxProperties*>(TcxCustomEdit::ActiveProperties());
  }
  bool SupportsSpelling() override { return IsTextInputMode(); }
};

// The filter editor of combo box columns: a combo box with plain list settings.
const TcxCustomFilterEditHelper* FilterComboBoxHelper();

// The combo box's part of the drop-down unit's start-up: its editor kind and filter helper.
namespace cxDropDownEditComboBox {
void Initialize();
void Finalize();
}  // namespace cxDropDownEditComboBox

}  // namespace qd
