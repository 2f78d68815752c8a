// The combo box: its properties, the list in the popup (rows, owner drawing, mouse), the lookup
// data that sizes the list to whole rows and filters it, and the editor.
#include "ui/editors/cxDropDownEditComboBox.h"

#include <algorithm>

#include "platform/base/mathutil.h"
#include "platform/base/strings.h"
#include "platform/classes/rtti.h"
#include "platform/os/user.h"
#include "ui/controls/cxControlsWindowUtils.h"
#include "ui/core/cxClassesComponents.h"
#include "ui/core/cxGeometry.h"
#include "ui/editors/cxEditConsts.h"
#include "ui/editors/cxFilterEdits.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/lookandfeel/cxLookAndFeels.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxCustomComboBoxProperties)
QD_IMPLEMENT_CLASS(TcxComboBoxProperties)
QD_IMPLEMENT_CLASS(TcxCustomComboBoxViewInfo)
QD_IMPLEMENT_CLASS(TcxCustomComboBoxViewData)
QD_IMPLEMENT_CLASS(TcxCustomComboBoxListBox)
QD_IMPLEMENT_CLASS(TcxComboBoxListBox)
QD_IMPLEMENT_CLASS(TcxComboBoxIncrementalFilteringHelper)
QD_IMPLEMENT_CLASS(TcxComboBoxLookupData)
QD_IMPLEMENT_CLASS(TcxComboBoxPopupWindow)
QD_IMPLEMENT_CLASS(TcxCustomComboBoxInnerEdit)
QD_IMPLEMENT_CLASS(TcxCustomComboBox)
QD_IMPLEMENT_CLASS(TcxComboBox)

namespace {

const TTypeInfo* DropDownListStyleTypeInfo() {
  static const TTypeInfo info =
      MakeEnumTypeInfo(u"TcxEditDropDownListStyle", {u"lsEditFixedList", u"lsEditList", u"lsFixedList"});
  return &info;
}

TcxCustomComboBoxProperties* ComboProperties(TcxCustomEditProperties* AProperties) {
  return ObjectCast<TcxCustomComboBoxProperties>(AProperties);
}

}  // namespace

// --- TcxCustomComboBoxProperties --------------------------------------------------------------

TcxCustomComboBoxProperties::TcxCustomComboBoxProperties(TPersistent* AOwner)
    : TcxCustomDropDownEditProperties(AOwner) {
  SetIncrementalFilteringOptions({ifoHighlightSearchText, ifoUseContainsOperator});
}

TClass TcxCustomComboBoxProperties::GetContainerClass() const {
  return TcxComboBox::StaticClass();
}

TClass TcxCustomComboBoxProperties::GetViewInfoClass() const {
  return TcxCustomComboBoxViewInfo::StaticClass();
}

TClass TcxCustomComboBoxProperties::GetViewDataClass() const {
  return TcxCustomComboBoxViewData::StaticClass();
}

TClass TcxCustomComboBoxProperties::GetLookupDataClass() {
  return TcxComboBoxLookupData::StaticClass();
}

TClass TcxCustomComboBoxProperties::GetPopupWindowClass() {
  return TcxComboBoxPopupWindow::StaticClass();
}

TcxEditEditingStyle TcxCustomComboBoxProperties::GetEditingStyle() {
  switch (FDropDownListStyle) {
    case lsEditFixedList:
      return esEditList;
    case lsFixedList:
      return esFixedList;
    case lsEditList:
      break;
  }
  return esEdit;
}

void TcxCustomComboBoxProperties::SetDropDownListStyle(TcxEditDropDownListStyle Value) {
  if (Value == FDropDownListStyle) return;
  FDropDownListStyle = Value;
  Changed();
}

void TcxCustomComboBoxProperties::SetDropDownRows(int32_t Value) {
  if (Value <= 0 || Value == FDropDownRows) return;
  FDropDownRows = Value;
  Changed();
}

void TcxCustomComboBoxProperties::SetItemHeight(int32_t Value) {
  if (Value == FItemHeight) return;
  FItemHeight = Value;
  Changed();
}

void TcxCustomComboBoxProperties::ChangeScale(int32_t M, int32_t D) {
  TcxCustomDropDownEditProperties::ChangeScale(M, D);
  FItemHeight = MulDiv(FItemHeight, M, D);
}

void TcxCustomComboBoxProperties::DoAssign(TcxCustomEditProperties* Source) {
  TcxCustomDropDownEditProperties::DoAssign(Source);
  auto* src = ComboProperties(Source);
  if (!src) return;
  FDropDownListStyle = src->FDropDownListStyle;
  FDropDownRows = src->FDropDownRows;
  FItemHeight = ScaleBetween(src->FItemHeight, ScaleFactor(), src->ScaleFactor());
  FRevertable = src->FRevertable;
  OnDrawItem = src->OnDrawItem;
  OnMeasureItem = src->OnMeasureItem;
}

void TcxComboBoxProperties::RegisterProperties(TPropertyRegistrar& r) {
  using P = TcxCustomComboBoxProperties;
  using D = TcxCustomDropDownEditProperties;
  using M = TcxCustomMaskEditProperties;
  using T = TcxCustomTextEditProperties;
  using B = TcxCustomEditProperties;
  r.Prop("AutoSelect", &B::AutoSelect, &B::SetAutoSelect).Default(true);
  r.Prop("BeepOnError", &B::BeepOnError, &B::SetBeepOnError).Default(false);
  r.Prop("CaseInsensitive", &M::CaseInsensitive, &M::SetCaseInsensitive).Default(true);
  r.Prop("ClearKey", &B::ClearKey, &B::SetClearKey).Default(0);
  r.Prop("DropDownAutoWidth", &P::DropDownAutoWidth, &P::SetDropDownAutoWidth).Default(true);
  r.Prop("DropDownListStyle", &P::DropDownListStyle, &P::SetDropDownListStyle, DropDownListStyleTypeInfo())
      .Default(lsEditList);
  r.Prop("DropDownRows", &P::DropDownRows, &P::SetDropDownRows).Default(8);
  r.Prop("DropDownSizeable", &P::DropDownSizeable, &P::SetDropDownSizeable).Default(false);
  r.Prop("DropDownWidth", &P::DropDownWidth, &P::SetDropDownWidth).Default(0);
  r.Prop("EditMask", &M::EditMask, &M::SetEditMask);
  r.Prop("HideSelection", &T::HideSelection, &T::SetHideSelection).Default(true);
  r.Prop("IgnoreMaskBlank", &M::IgnoreMaskBlank, &M::SetIgnoreMaskBlank).Default(false);
  r.Prop("ImeName", &T::ImeName, &T::SetImeName);
  r.Prop("ImmediateDropDownWhenActivated", &D::ImmediateDropDownWhenActivated,
         &D::SetImmediateDropDownWhenActivated)
      .Default(false);
  r.Prop("ImmediateDropDownWhenKeyPressed", &D::ImmediateDropDownWhenKeyPressed,
         &D::SetImmediateDropDownWhenKeyPressed)
      .Default(true);
  r.Prop("ImmediatePost", &B::ImmediatePost, &B::SetImmediatePost).Default(false);
  r.Prop("ImmediateUpdateText", &T::ImmediateUpdateText, &T::SetImmediateUpdateText).Default(false);
  r.Prop("IncrementalFiltering", &T::IncrementalFiltering, &T::SetIncrementalFiltering).Default(false);
  r.Prop("IncrementalSearch", &T::IncrementalSearch, &T::SetIncrementalSearch).Default(true);
  r.Prop("ItemHeight", &P::ItemHeight, &P::SetItemHeight).Default(0);
  r.Prop("Items", &P::Items, &P::SetItems);
  r.Prop("MaxLength", &T::MaxLength, &T::SetMaxLength).Stored(&T::IsMaxLengthStored);
  r.Prop("Nullstring", &T::Nullstring, &T::SetNullstring);
  r.Prop("OEMConvert", &T::OEMConvert, &T::SetOEMConvert).Default(false);
  r.Prop("PostPopupValueOnTab", &D::PostPopupValueOnTab, &D::SetPostPopupValueOnTab).Default(false);
  r.Prop("ReadOnly", &B::ReadOnly, &B::SetReadOnly).Stored(&B::IsReadOnlyStored);
  r.Prop("Revertable", &P::Revertable, &P::SetRevertable).Default(false);
  r.Prop("Sorted", &P::Sorted, &P::SetSorted).Default(false);
  r.Prop("UseNullString", &T::UseNullString, &T::SetUseNullString).Default(false);
  r.Prop("ValidateOnEnter", &B::ValidateOnEnter, &B::SetValidateOnEnter).Default(true);
  r.Event("OnChange", &B::OnChange, &B::SetOnChange);
  r.Event("OnCloseUp", &D::OnCloseUp);
  r.Event("OnDrawItem", &P::OnDrawItem);
  r.Event("OnEditValueChanged", &B::OnEditValueChanged, &B::SetOnEditValueChanged);
  r.Event("OnInitPopup", &D::OnInitPopup);
  r.Event("OnMeasureItem", &P::OnMeasureItem);
  r.Event("OnNewLookupDisplayText", &T::OnNewLookupDisplayText, &T::SetOnNewLookupDisplayText);
  r.Event("OnPopup", &D::OnPopup);
  r.Event("OnValidate", &B::OnValidate, &B::SetOnValidate);
}

// --- View info and view data ------------------------------------------------------------------

TcxCustomComboBoxViewInfo::TcxCustomComboBoxViewInfo() {
  CustomDrawHandler = TcxTextEditCustomDrawHandler(this, &TcxCustomComboBoxViewInfo::DoCustomDraw);
}

void TcxCustomComboBoxViewInfo::Assign(TObject* Source) {
  TcxCustomTextEditViewInfo::Assign(Source);
  if (auto* src = ObjectCast<TcxCustomComboBoxViewInfo>(Source)) ItemIndex = src->ItemIndex;
  // The handler draws this view info, not the source.
  CustomDrawHandler = TcxTextEditCustomDrawHandler(this, &TcxCustomComboBoxViewInfo::DoCustomDraw);
}

void TcxCustomComboBoxViewInfo::DoCustomDraw(TcxCanvas* ACanvas, const TRect& ARect) {
  TOwnerDrawState state{odComboBoxEdit};
  if (Focused) {
    state.Include(odSelected);
    state.Include(odFocused);
  }
  TColor textColor = TextColor;
  if (DrawSelectionBar) {
    ACanvas->Brush()->SetColor(clHighlight);
    textColor = clHighlightText;
  } else {
    ACanvas->Brush()->SetColor(BackgroundColor());
  }
  ACanvas->Font()->Assign(Font);
  ACanvas->Font()->SetColor(textColor);
  PrepareCanvasFont(ACanvas);
  ACanvas->Font()->SetColor(textColor);
  if (auto* edit = ObjectCast<TcxCustomComboBox>(Edit())) {
    edit->DoOnDrawItem(ACanvas, ItemIndex, state, ARect);
  } else if (auto* properties = ComboProperties(EditProperties)) {
    if (properties->OnDrawItem) properties->OnDrawItem(nullptr, ACanvas, ItemIndex, ARect, state);
  }
}

void TcxCustomComboBoxViewData::Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                          TcxMouseButton Button, TShiftState Shift,
                                          TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) {
  TcxCustomDropDownEditViewData::Calculate(ACanvas, ABounds, P, Button, Shift, AViewInfo, AIsMouseEvent);
  auto* viewInfo = static_cast<TcxCustomComboBoxViewInfo*>(AViewInfo);
  auto* properties = ComboProperties(Properties());
  auto* edit = ObjectCast<TcxCustomComboBox>(Edit());
  if (properties && edit && properties->DropDownListStyle() == lsFixedList &&
      edit->IsOnDrawItemEventAssigned()) {
    viewInfo->ItemIndex = edit->ItemIndex();
    viewInfo->IsOwnerDrawing = viewInfo->ItemIndex != -1;
  } else {
    viewInfo->ItemIndex = -1;
    viewInfo->IsOwnerDrawing = false;
  }
}

void TcxCustomComboBoxViewData::EditValueToDrawValue(const Variant& AEditValue,
                                                     TcxCustomEditViewInfo* AViewInfo) {
  TcxCustomDropDownEditViewData::EditValueToDrawValue(AEditValue, AViewInfo);
  auto* viewInfo = static_cast<TcxCustomComboBoxViewInfo*>(AViewInfo);
  auto* properties = ComboProperties(Properties());
  if (properties && properties->DropDownListStyle() == lsFixedList && properties->OnDrawItem)
    viewInfo->ItemIndex = properties->Items()->IndexOf(VarToStr(AEditValue));
  else
    viewInfo->ItemIndex = -1;
  viewInfo->IsOwnerDrawing = viewInfo->ItemIndex != -1;
}

TRect TcxCustomComboBoxViewData::GetDrawTextOffset() {
  TRect r = TcxCustomDropDownEditViewData::GetDrawTextOffset();
  auto* properties = ComboProperties(Properties());
  if (!IsInplace() && properties && properties->DropDownListStyle() == lsFixedList) {
    r.Top -= 1;
    r.Bottom += 1;
    if (properties->Alignment()->Horz() == taRightJustify)
      r.Right -= 1;
    else
      r.Left -= 1;
  }
  return r;
}

// --- The list ------------------------------------------------------------------------------------

TcxCustomComboBoxListBox::TcxCustomComboBoxListBox(TComponent* AOwner) : TcxCustomEditListBox(AOwner) {
  SetStyle(lbOwnerDrawVariable);
}

TcxCustomComboBox* TcxCustomComboBoxListBox::ComboBox() const {
  return ObjectCast<TcxCustomComboBox>(Edit());
}

int32_t TcxCustomComboBoxListBox::GetHeight(int32_t ARowCount, int32_t) {
  int32_t height = 0;
  for (int32_t i = 0; i < ARowCount; ++i) height += GetItemHeight(i);
  return height;
}

void TcxCustomComboBoxListBox::MeasureItem(int Index, int& Height) {
  Height = GetItemHeight(Index);
}

String TcxCustomComboBoxListBox::GetItem(int32_t AIndex) {
  return LookupData() ? LookupData()->GetFilteredItem(AIndex) : String();
}

void TcxCustomComboBoxListBox::CreateParams(TCreateParams& Params) {
  TcxCustomEditListBox::CreateParams(Params);
  TcxCustomComboBox* combo = ComboBox();
  if (combo && combo->IsOnDrawItemEventAssigned()) Params.WindowClass.style |= CS_HREDRAW;
}

bool TcxCustomComboBoxListBox::DoDrawItem(int32_t AIndex, const TRect& ARect, TOwnerDrawState AState) {
  TcxCustomComboBox* combo = ComboBox();
  if (!combo || !combo->IsOnDrawItemEventAssigned()) return false;
  const int32_t item = LookupData()->GetLookupItemIndexFromFilteredItemIndex(AIndex);
  combo->DoOnDrawItem(ListCanvas(), item, AState, ARect);
  return true;
}

void TcxCustomComboBoxListBox::FocusSearchEdit() {
  TcxCustomTextEditLookupData* data = LookupData();
  if (!data || !data->ActiveProperties() || !data->ActiveProperties()->UseSearchControl()) return;
  auto* control = dynamic_cast<TWinControl*>(data->GetActiveControl());
  if (control && control->HandleAllocated()) control->SetFocus();
}

void TcxCustomComboBoxListBox::Click() {
  TcxCustomEditListBox::Click();
  FocusSearchEdit();
}

void TcxCustomComboBoxListBox::DblClick() {
  TcxCustomEditListBox::DblClick();
  FocusSearchEdit();
}

void TcxCustomComboBoxListBox::MouseMove(TShiftState Shift, int X, int Y) {
  TcxCustomComboBox* combo = ComboBox();
  if (combo && combo->FPopupMouseMoveLocked) {
    combo->FPopupMouseMoveLocked = false;
    return;
  }
  TcxCustomEditListBox::MouseMove(Shift, X, Y);
}

int32_t TcxComboBoxListBox::GetItemHeight(int32_t AIndex) {
  TcxCustomComboBox* combo = ComboBox();
  TcxCustomComboBoxProperties* properties = combo ? combo->ActiveProperties() : nullptr;
  int32_t height = 0;
  if (!properties || properties->ItemHeight() <= 0)
    height = GetDefaultItemHeight();
  else
    height = ScaleBetween(properties->ItemHeight(), combo->ScaleFactor(), properties->ScaleFactor());
  if (AIndex >= 0 && combo && combo->IsOnMeasureItemEventAssigned()) {
    const int32_t item = LookupData()->GetLookupItemIndexFromFilteredItemIndex(AIndex);
    combo->DoOnMeasureItem(item, ListCanvas(), height);
  }
  return height;
}

void TcxComboBoxListBox::RecreateWindow() {
  SetItemHeight(GetItemHeight(-1));
  TcxCustomComboBox* combo = ComboBox();
  SetStyle(combo && combo->IsOnMeasureItemEventAssigned() ? lbOwnerDrawVariable : lbOwnerDrawFixed);
  TcxCustomComboBoxListBox::RecreateWindow();
}

void TcxComboBoxListBox::SetItemIndex(int32_t Value) {
  if (TcxCustomComboBox* combo = ComboBox()) combo->FPopupMouseMoveLocked = true;
  TcxCustomComboBoxListBox::SetItemIndex(Value);
}

void TcxComboBoxListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxCustomComboBoxListBox::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  const int32_t index = ItemAtPos(TPoint{X, Y}, true);
  if (index < 0) return;
  if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
  SetItemIndex(index);
  TcxCustomComboBox* combo = ComboBox();
  if (!combo) return;
  combo->BeginUserAction();
  try {
    combo->CloseUp(crEnter);
  } catch (...) {
    combo->EndUserAction();
    throw;
  }
  combo->EndUserAction();
}

void TcxComboBoxListBox::Resize() {
  TcxCustomComboBoxListBox::Resize();
  TcxCustomComboBox* combo = ComboBox();
  TcxControl* container = Container();
  if (combo && container && combo->HasPopupWindow() && container->IsScrollBarActive(sbHorizontal) &&
      container->IsScrollBarActive(sbVertical) && container->HandleAllocated())
    RedrawWindow(container->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

// --- The search edit ----------------------------------------------------------------------------

TcxCustomLookAndFeelPainter* TcxComboBoxIncrementalFilteringHelper::GetLookAndFeelPainter() {
  TcxCustomComboBox* combo = FLookupData ? FLookupData->ComboBox() : nullptr;
  return combo ? combo->Style()->LookAndFeel()->Painter() : nullptr;
}

void TcxComboBoxIncrementalFilteringHelper::InitSearchEdit() {
  TdxCustomIncrementalFilteringHelper::InitSearchEdit();
  TcxCustomTextEdit* edit = SearchEdit();
  if (!edit) return;
  if (TcxCustomComboBox* combo = FLookupData->ComboBox()) edit->Style()->Assign(combo->Style());
}

void TcxComboBoxIncrementalFilteringHelper::SearchEditKeyDown(TObject*, WORD& Key, TShiftState Shift) {
  TcxCustomComboBox* combo = FLookupData->ComboBox();
  if (!combo) return;
  const bool navigation = combo->IsLookupNavigationKey(Key, Shift) && Key != VK_END && Key != VK_HOME;
  if (navigation || Key == VK_RETURN || (Key == VK_ESCAPE && GetSearchText().empty()))
    combo->KeyDown(Key, Shift);
}

void TcxComboBoxIncrementalFilteringHelper::SearchEditKeyPress(TObject*, Char& Key) {
  TcxCustomComboBox* combo = FLookupData->ComboBox();
  if (!combo || !(Key == u'\r' || (Key == u'\x1b' && GetSearchText().empty()))) return;
  IcxCustomInnerEdit* inner = combo->InnerEdit();
  if (inner && inner->GetControl()->HandleAllocated())
    SendMessageW(inner->GetControl()->Handle(), WM_CHAR, Key, 0);
  Key = 0;
}

void TcxComboBoxIncrementalFilteringHelper::SearchEditMouseWheel(TObject*, TShiftState Shift, int WheelDelta,
                                                                 TPoint MousePos, bool& Handled) {
  if (TcxCustomEditListBox* list = FLookupData->List())
    Handled = list->DoMouseWheel(Shift, WheelDelta, MousePos);
}

void TcxComboBoxIncrementalFilteringHelper::SearchEditValueChanged(TObject*) {
  TcxCustomComboBox* combo = FLookupData->ComboBox();
  if (!combo || FLookupData->IsInitializing()) return;
  if (!combo->HasPopupWindow() && !combo->IsPopupWindowShowing()) return;
  FLookupData->UpdateFilteredLookupItems(GetSearchText());
  combo->SetupPopupWindow();
}

void TcxComboBoxIncrementalFilteringHelper::CheckSearchControl(TWinControl* AParent) {
  if (!FLookupData->UseSearchControl()) {
    DestroySearchEdit();
    return;
  }
  if (!SearchEdit()) {
    CreateSearchEdit();
    InitSearchEdit();
  }
  TcxCustomTextEdit* edit = SearchEdit();
  edit->SetParent(AParent);
  if (edit->GetDisplayText() != FLookupData->SearchText())
    edit->SetEditValue(Variant(FLookupData->SearchText()));
}

// --- Lookup data --------------------------------------------------------------------------------

TcxComboBoxLookupData::TcxComboBoxLookupData(TPersistent* AOwner) : TcxCustomTextEditLookupData(AOwner) {
  FIncrementalFilteringHelper = CreateIncrementalFilteringHelper();
}

TcxComboBoxLookupData::~TcxComboBoxLookupData() {
  delete FIncrementalFilteringHelper;
}

TcxComboBoxIncrementalFilteringHelper* TcxComboBoxLookupData::CreateIncrementalFilteringHelper() {
  return new TcxComboBoxIncrementalFilteringHelper(this);
}

TcxCustomComboBox* TcxComboBoxLookupData::ComboBox() const {
  return ObjectCast<TcxCustomComboBox>(GetEdit());
}

TClass TcxComboBoxLookupData::GetListBoxClass() {
  return TcxComboBoxListBox::StaticClass();
}

bool TcxComboBoxLookupData::IsFilterActive() {
  TcxCustomComboBox* combo = ComboBox();
  return combo && (combo->HasPopupWindow() || combo->IsPopupWindowShowing());
}

TControl* TcxComboBoxLookupData::GetActiveControl() {
  if (TcxCustomTextEdit* edit = FIncrementalFilteringHelper->SearchEdit()) return edit;
  return List();
}

int32_t TcxComboBoxLookupData::GetSearchEditHeight() {
  TcxCustomTextEdit* edit = FIncrementalFilteringHelper->SearchEdit();
  if (!edit || FIncrementalFilteringHelper->GetSearchText().empty()) return 0;
  const TRect offsets = FIncrementalFilteringHelper->GetSearchEditOffsets();
  return edit->Height() + offsets.Top + offsets.Bottom;
}

void TcxComboBoxLookupData::CloseUp() {
  TcxCustomTextEditLookupData::CloseUp();
  if (TcxCustomTextEdit* edit = FIncrementalFilteringHelper->SearchEdit())
    if (edit->GetDisplayText() != SearchText()) edit->SetEditValue(Variant(SearchText()));
}

void TcxComboBoxLookupData::DoInitialize(TWinControl* AVisualControlsParent) {
  TcxCustomTextEditLookupData::DoInitialize(AVisualControlsParent);
  FIncrementalFilteringHelper->CheckSearchControl(AVisualControlsParent);
}

TSize TcxComboBoxLookupData::GetVisualAreaPreferredSize(int32_t AMaxHeight, int32_t AWidth) {
  TcxCustomEditListBox* list = List();
  TcxCustomComboBox* combo = ComboBox();
  if (!list || !combo) return TSize{};
  const int32_t rowsWanted = combo->ActiveProperties()->DropDownRows();
  const int32_t count = GetFilteredItemCount();
  TSize result;
  result.cy = list->GetHeight(std::min(rowsWanted, count), AMaxHeight);
  int32_t width = 0;
  for (int32_t i = 0; i < count; ++i) width = std::max(width, list->GetItemWidth(i));
  result.cx = width + 4;
  list->SetScrollWidth(result.cx);
  if (count > rowsWanted || (AMaxHeight > 0 && result.cy > AMaxHeight))
    result.cx += ListContainer()->GetVScrollBarDefaultAreaWidth();
  if (AWidth > 0 && result.cx > AWidth) result.cy += ListContainer()->GetHScrollBarDefaultAreaHeight();
  result.cy += GetSearchEditHeight();
  return result;
}

bool TcxComboBoxLookupData::CanResizeVisualArea(TSize& ANewSize, int32_t AMaxHeight, int32_t AMaxWidth) {
  TcxCustomEditListBox* list = List();
  if (!list) return true;
  const int32_t searchHeight = GetSearchEditHeight();
  // The list's size as shown: with floating bars the list window reaches under its container's
  // edges to keep its own bars out of sight.
  const TRect shown = ListContainer()->BoundsRect();
  if (ANewSize.cx == shown.Width() && ANewSize.cy == shown.Height() + searchHeight) return true;
  if (AMaxHeight == 0) AMaxHeight = 32000;
  if (AMaxWidth == 0) AMaxWidth = 32000;
  const int32_t v = ListContainer()->GetVScrollBarDefaultAreaWidth();
  const int32_t h = ListContainer()->GetHScrollBarDefaultAreaHeight();
  const int32_t target = ANewSize.cy - searchHeight;
  const int32_t count = GetFilteredItemCount();
  // The height of rows 0..ALast (their sum AHeight), with the horizontal bar when the width
  // left beside the vertical bar cannot show the widest item.
  bool horzBar = false;
  auto rowTotal = [&](int32_t ALast, int32_t AHeight) {
    const int32_t available = ANewSize.cx - (ALast < count - 1 ? v : 0);
    horzBar = available < list->ScrollWidth() || available > AMaxWidth;
    return AHeight + (horzBar ? h : 0);
  };
  int32_t taken = count;
  int32_t total = 0;
  int32_t sum = 0;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t rowHeight = list->GetItemHeight(i);
    sum += rowHeight;
    const int32_t s = rowTotal(i, sum);
    if (s <= AMaxHeight && s <= target) {
      total = s;
      if (s == target) {
        taken = i + 1;
        break;
      }
      continue;
    }
    if (s <= AMaxHeight && target < shown.Height()) {
      // Shrinking: the row that the new height cuts stays, partly covered.
      taken = i + 1;
      total = s;
    } else {
      // Enlarging, or past the maximum: the row that does not fit whole is left out.
      taken = i;
      total = rowTotal(i - 1, sum - rowHeight);
      if (i == 0) total = 0;
    }
    break;
  }
  if (taken == count && count > 0) total = rowTotal(count - 1, sum);
  ANewSize.cy = total + searchHeight;
  int32_t minWidth = taken < count ? v : 0;
  if (horzBar) minWidth += v;
  ANewSize.cx = std::max(ANewSize.cx, minWidth);
  return true;
}

void TcxComboBoxLookupData::PositionVisualArea(const TRect& AClientRect) {
  TRect r = AClientRect;
  TcxCustomTextEdit* edit = FIncrementalFilteringHelper->SearchEdit();
  if (edit && UseSearchControl() && edit->HandleAllocated()) {
    const TRect offsets = FIncrementalFilteringHelper->GetSearchEditOffsets();
    const int32_t left = r.Left + offsets.Left;
    const int32_t width = r.Width() - offsets.Left - offsets.Right;
    const int32_t height = edit->Height();
    if (!FIncrementalFilteringHelper->GetSearchText().empty()) {
      edit->SetBounds(left, r.Top + offsets.Top, width, height);
      r.Top = edit->BoundsRect().Bottom + offsets.Bottom;
    } else {
      // Out of sight above the list, keeping the focus.
      edit->SetBounds(left, r.Top - height - 2, width, height);
    }
  }
  DoPositionVisualArea(r);
}

void TcxComboBoxLookupData::TextChanged() {
  TcxCustomComboBox* combo = ComboBox();
  TcxCustomTextEditProperties* properties = ActiveProperties();
  const bool filtering = combo && properties && IsIncrementalFiltering() && !IsInitializing() &&
                         properties->GetEditingStyle() == esEdit && combo->CanSynchronizeLookupData() &&
                         (combo->HasPopupWindow() || combo->IsPopupWindowShowing());
  TcxCustomTextEditLookupData::TextChanged();
  if (filtering && combo->GetDisplayText() != SearchText()) {
    UpdateFilteredLookupItems(combo->GetDisplayText());
    combo->SetupPopupWindow();
  }
}

// --- The popup -----------------------------------------------------------------------------------

void TcxComboBoxPopupWindow::CalculateSize(TSize& ASize) {
  TcxCustomDropDownEdit* edit = GetEdit();
  ViewInfo()->SizeGripCorner = coBottomRight;
  const TRect owner = edit ? edit->GetPopupWindowOwnerControlBounds() : TRect{};
  SetOwnerBounds(owner);
  const TRect e = ViewInfo()->GetClientExtent();
  const TSize m = GetMinSize();
  TSize p{0, 0};
  if (edit) edit->GetPopupWindowClientPreferredSize(p);
  const bool resized = Sizeable() && edit && edit->PopupSizeChanged();
  int32_t width = 0;
  if (resized || (!PopupAutoSize() && PopupWidth() > 0))
    width = PopupWidth();
  else if (PopupAutoSize())
    width = std::max(e.Left + e.Right + p.cx, owner.Width());
  else
    width = owner.Width();
  int32_t height = 0;
  if (resized || ((Sizeable() || !PopupAutoSize()) && PopupHeight() > 0))
    height = PopupHeight();
  else
    height = e.Top + e.Bottom + p.cy;
  if (Sizeable()) {
    width = std::max(width, MinWidth());
    height = std::max(height, MinHeight());
  }
  ASize = TSize{std::max(width, m.cx), std::max(height, m.cy)};
}

// --- The editor ----------------------------------------------------------------------------------

void TcxCustomComboBoxInnerEdit::WndProc(TMessage& Message) {
  if (Message.Msg == WM_LBUTTONUP) {
    TControlState state = ControlState();
    state.Exclude(csClicked);
    SetControlState(state);
  }
  TcxCustomInnerTextEdit::WndProc(Message);
}

TcxCustomComboBox::TcxCustomComboBox(TComponent* AOwner, bool AIsInplace)
    : TcxCustomDropDownEdit(AOwner, AIsInplace) {}

TcxComboBoxLookupData* TcxCustomComboBox::LookupData() const {
  return ObjectCast<TcxComboBoxLookupData>(TcxCustomTextEdit::LookupData());
}

void TcxCustomComboBox::InitializeInnerEdit() {
  TcxCustomDropDownEdit::InitializeInnerEdit();
  // Clicks come from a changed item only.
  TControlStyle style = ControlStyle();
  style.Exclude(csClickEvents);
  SetControlStyle(style);
}

int32_t TcxCustomComboBox::SelectedItem() {
  IcxTextEditLookupData* data = GetILookupData();
  return data ? data->GetSelectedItem() : -1;
}

void TcxCustomComboBox::SetSelectedItem(int32_t Value) {
  if (IcxTextEditLookupData* data = GetILookupData()) data->SetSelectedItem(Value);
}

bool TcxCustomComboBox::IsOnDrawItemEventAssigned() {
  return static_cast<bool>(Properties()->OnDrawItem) || static_cast<bool>(ActiveProperties()->OnDrawItem);
}

bool TcxCustomComboBox::IsOnMeasureItemEventAssigned() {
  return static_cast<bool>(Properties()->OnMeasureItem) ||
         static_cast<bool>(ActiveProperties()->OnMeasureItem);
}

void TcxCustomComboBox::DoOnDrawItem(TcxCanvas* ACanvas, int32_t AIndex, TOwnerDrawState AState,
                                     const TRect& ARect) {
  TcxCustomComboBoxProperties* own = Properties();
  if (own->OnDrawItem) own->OnDrawItem(this, ACanvas, AIndex, ARect, AState);
  if (RepositoryItem() && ActiveProperties() != own && ActiveProperties()->OnDrawItem)
    ActiveProperties()->OnDrawItem(this, ACanvas, AIndex, ARect, AState);
}

void TcxCustomComboBox::DoOnMeasureItem(int32_t AIndex, TcxCanvas* ACanvas, int32_t& AHeight) {
  TcxCustomComboBoxProperties* own = Properties();
  if (own->OnMeasureItem) own->OnMeasureItem(this, AIndex, ACanvas, AHeight);
  if (RepositoryItem() && ActiveProperties() != own && ActiveProperties()->OnMeasureItem)
    ActiveProperties()->OnMeasureItem(this, AIndex, ACanvas, AHeight);
}

bool TcxCustomComboBox::IsTextInputMode() {
  return TcxCustomDropDownEdit::IsTextInputMode() && ActiveProperties()->DropDownListStyle() == lsEditList;
}

bool TcxCustomComboBox::CanDropDown() {
  IcxTextEditLookupData* data = GetILookupData();
  return !data || !data->IsEmpty();
}

bool TcxCustomComboBox::CanSynchronizeLookupData() {
  if (FLookupDataTextChangedLocked || EditModeSetting()) return false;
  if (HasPopupWindow()) return true;
  if (IsPopupWindowShowing() && !CanIncrementalSearch()) return true;
  const TcxEditEditingStyle style = ActiveProperties()->GetEditingStyle();
  if (style != esEdit) return true;
  IcxTextEditLookupData* data = GetILookupData();
  return Focused() && data && !SameText(GetDisplayText(), data->GetDisplayText(data->GetCurrentKey()));
}

void TcxCustomComboBox::SynchronizeItemIndex() {
  if (IcxTextEditLookupData* data = GetILookupData(); data && ActiveProperties()->UseLookupData())
    data->TextChanged();
}

void TcxCustomComboBox::ChangeHandler(TObject* Sender) {
  IcxTextEditLookupData* data = GetILookupData();
  const Variant prevKey = data ? data->GetCurrentKey() : Variant();
  LockChangeEvents(true);
  LockClick(true);
  try {
    TcxCustomDropDownEdit::ChangeHandler(Sender);
    if (data && CanSynchronizeLookupData()) data->TextChanged();
  } catch (...) {
    LockClick(false);
    LockChangeEvents(false);
    throw;
  }
  LockClick(false);
  LockChangeEvents(false);
  if (data && !InternalVarEqualsExact(prevKey, data->GetCurrentKey()) &&
      ActiveProperties()->IncrementalSearch())
    DoClick();
}

bool TcxCustomComboBox::PopulateFromList(String& AText) {
  const bool result = TcxCustomDropDownEdit::PopulateFromList(AText);
  TcxCustomComboBoxProperties* properties = ActiveProperties();
  if (HasPopupWindow() && !properties->IsLookupEdit() && properties->IncrementalFiltering() &&
      (result || AText.empty() ||
       (properties->GetEditingStyle() == esEdit && properties->IncrementalSearch())))
    SetupPopupWindow();
  return result;
}

void TcxCustomComboBox::GetPopupWindowClientPreferredSize(TSize& ASize) {
  TcxCustomEditPopupWindow* popup = PopupWindow();
  IcxTextEditLookupData* data = GetILookupData();
  if (!popup || !data) {
    ASize = TSize{};
    return;
  }
  const TSize maxSize = popup->GetMaxVisualAreaSize();
  TcxCustomComboBoxProperties* properties = ActiveProperties();
  int32_t width = maxSize.cx;
  if (!properties->PopupSizeable() && !properties->PopupAutoSize()) {
    const TRect e = popup->ViewInfo()->GetClientExtent();
    const int32_t popupWidth =
        GetPopupWidth() < 1 ? GetPopupWindowOwnerControlBounds().Width() : GetPopupWidth();
    width = std::min(popupWidth - e.Left - e.Right, maxSize.cx);
  }
  ASize = data->GetVisualAreaPreferredSize(maxSize.cy, width);
}

void TcxCustomComboBox::InitializePopupWindow() {
  TcxCustomDropDownEdit::InitializePopupWindow();
  if (TcxCustomEditPopupWindow* popup = PopupWindow())
    popup->SetSysPanelStyle(ActiveProperties()->PopupSizeable());
}

void TcxCustomComboBox::SetupPopupWindow() {
  TcxCustomDropDownEdit::SetupPopupWindow();
  if (IcxTextEditLookupData* data = GetILookupData())
    if (TControl* control = data->GetActiveControl()) control->Invalidate();
}

void TcxCustomComboBox::PopupWindowShowed(TObject* Sender) {
  TcxCustomDropDownEdit::PopupWindowShowed(Sender);
  IcxTextEditLookupData* data = GetILookupData();
  if (!data || !dynamic_cast<TWinControl*>(data->GetActiveControl())) return;
  POINT p{};
  GetCursorPos(&p);
  if (data->IsMouseOverList(TPoint{p.X, p.Y})) FPopupMouseMoveLocked = true;
}

void TcxCustomComboBox::MouseMove(TShiftState Shift, int X, int Y) {
  TcxCustomDropDownEdit::MouseMove(Shift, X, Y);
  if (!HandleAllocated() || GetCapture() != Handle() || !HasPopupWindow()) return;
  IcxTextEditLookupData* data = GetILookupData();
  auto* control = data ? dynamic_cast<TWinControl*>(data->GetActiveControl()) : nullptr;
  if (!control || !control->HandleAllocated()) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  const TPoint screen{cursor.X, cursor.Y};
  TcxCustomEditPopupWindow* popup = PopupWindow();
  const TPoint inPopup = popup->ScreenToClient(screen);
  if (!PtIn(popup->ViewInfo()->ClientRect, inPopup) || !data->IsMouseOverList(screen)) return;
  // The list takes the drag over.
  ReleaseCapture();
  const TPoint p = control->ScreenToClient(screen);
  SendMessageW(control->Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(p.X, p.Y));
}

void TcxCustomComboBox::DblClick() {
  TcxCustomDropDownEdit::DblClick();
  IcxTextEditLookupData* data = GetILookupData();
  if (!data || HasPopupWindow() || !ActiveProperties()->Revertable()) return;
  LockChangeEvents(true);
  try {
    const Variant prevKey = data->GetCurrentKey();
    LookupDataGo(egdNext, true);
    if (!InternalVarEqualsExact(prevKey, data->GetCurrentKey()) && CanPostEditValue() &&
        ActiveProperties()->ImmediatePost() && InternalValidateEdit())
      InternalPostEditValue(false);
  } catch (...) {
    LockChangeEvents(false);
    throw;
  }
  LockChangeEvents(false);
}

void TcxCustomComboBox::WndProc(TMessage& Message) {
  if (Message.Msg == WM_LBUTTONUP) {
    TControlState state = ControlState();
    state.Exclude(csClicked);
    SetControlState(state);
  }
  TcxCustomDropDownEdit::WndProc(Message);
}

void TcxComboBox::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Properties", &TcxComboBox::Properties);
  r.Prop("ItemIndex", &TcxComboBox::ItemIndex, &TcxComboBox::SetItemIndex).Default(-1);
}

// --- The filter helper ---------------------------------------------------------------------------

namespace {

class TcxFilterComboBoxHelper : public TcxCustomFilterEditHelper {
 public:
  bool EditPropertiesHasButtons() const override { return true; }
  TClass GetFilterEditClass() const override { return TcxComboBox::StaticClass(); }
  void InitializeProperties(TcxCustomEditProperties* AProperties, TcxCustomEditProperties* AEditProperties,
                            bool AHasButtons) const override {
    TcxCustomFilterEditHelper::InitializeProperties(AProperties, AEditProperties, AHasButtons);
    auto* properties = ComboProperties(AProperties);
    if (!properties) return;
    properties->SetButtonGlyph(nullptr);
    properties->SetDropDownRows(8);
    properties->SetDropDownListStyle(lsEditList);
    properties->SetImmediateDropDownWhenActivated(false);
    properties->SetPopupAlignment(taLeftJustify);
    properties->SetRevertable(false);
  }
};

}  // namespace

const TcxCustomFilterEditHelper* FilterComboBoxHelper() {
  static const TcxFilterComboBoxHelper instance;
  return &instance;
}

namespace cxDropDownEditComboBox {

void Initialize() {
  RegisterClass(TcxComboBox::StaticClass());
  GetRegisteredEditProperties()->Register(TcxComboBoxProperties::StaticClass(),
                                          cxGetResourceString(scxSEditRepositoryComboBoxItem));
  FilterEditsController()->Register(TcxComboBoxProperties::StaticClass(), FilterComboBoxHelper());
}

void Finalize() {
  if (FilterEditsControllerAssigned())
    FilterEditsController()->Unregister(TcxComboBoxProperties::StaticClass(), FilterComboBoxHelper());
  if (TcxRegisteredClasses* registered = GetRegisteredEditProperties())
    registered->Unregister(TcxComboBoxProperties::StaticClass());
  UnRegisterClass(TcxComboBox::StaticClass());
}

}  // namespace cxDropDownEditComboBox

}  // namespace qd
