#include "platform/forms/stdctrls_listbox.h"

#include <algorithm>

#include "platform/base/strings.h"
#include "platform/os/nls.h"
#include "platform/os/user_listbox.h"

namespace qd {

QD_IMPLEMENT_CLASS(TListBoxStrings)
QD_IMPLEMENT_CLASS(TCustomListBox)
QD_IMPLEMENT_CLASS(TListBox)

namespace {

bool Inside(const TRect& r, TPoint p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

const TTypeInfo* TypeInfoTListBoxStyle() {
  static const TTypeInfo t = MakeEnumTypeInfo(
      u"TListBoxStyle",
      {u"lbStandard", u"lbOwnerDrawFixed", u"lbOwnerDrawVariable", u"lbVirtual", u"lbVirtualOwnerDraw"});
  return &t;
}

// The order the window sorts in.
int CompareItemText(const String& a, const String& b) {
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()),
                        b.c_str(), static_cast<int>(b.size())) -
         CSTR_EQUAL;
}

TOwnerDrawState OwnerDrawState(UINT s) {
  TOwnerDrawState r;
  if (s & ODS_SELECTED) r.Include(odSelected);
  if (s & ODS_GRAYED) r.Include(odGrayed);
  if (s & ODS_DISABLED) r.Include(odDisabled);
  if (s & ODS_CHECKED) r.Include(odChecked);
  if (s & ODS_FOCUS) r.Include(odFocused);
  if (s & ODS_DEFAULT) r.Include(odDefault);
  if (s & ODS_NOACCEL) r.Include(odNoAccel);
  if (s & ODS_NOFOCUSRECT) r.Include(odNoFocusRect);
  if (s & ODS_COMBOBOXEDIT) r.Include(odComboBoxEdit);
  return r;
}

}  // namespace

// ---- TListBoxStrings --------------------------------------------------------------------------------

TListBoxStrings::TListBoxStrings(TCustomListBox* ListBox)
    : listBox_(ListBox), saved_(std::make_unique<TStringList>()) {}

TListBoxStrings::~TListBoxStrings() = default;

bool TListBoxStrings::Live() const {
  return !saved_ && listBox_->HandleAllocated();
}

HWND TListBoxStrings::Wnd() const {
  return listBox_->Handle();
}

// The kept selection moves with the kept items, as the window's would.
void TListBoxStrings::SavedInserted(int Index) {
  if (listBox_->itemIndex_ >= Index) ++listBox_->itemIndex_;
}

int TListBoxStrings::GetCount() const {
  if (!Live()) return saved_ ? saved_->Count() : 0;
  return static_cast<int>(SendMessageW(Wnd(), LB_GETCOUNT, 0, 0));
}

String TListBoxStrings::Get(int Index) const {
  if (!Live()) return saved_->Get(Index);
  const LRESULT len = SendMessageW(Wnd(), LB_GETTEXTLEN, static_cast<WPARAM>(Index), 0);
  if (len == LB_ERR) Error(u"List index out of bounds (%d)", Index);
  String s(static_cast<size_t>(len) + 1, u'\0');
  const LRESULT got =
      SendMessageW(Wnd(), LB_GETTEXT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(s.data()));
  s.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
  return s;
}

TObject* TListBoxStrings::GetObject(int Index) const {
  if (!Live()) return saved_->GetObject(Index);
  const LRESULT d = SendMessageW(Wnd(), LB_GETITEMDATA, static_cast<WPARAM>(Index), 0);
  if (d == LB_ERR && (Index < 0 || Index >= GetCount())) Error(u"List index out of bounds (%d)", Index);
  return reinterpret_cast<TObject*>(d);
}

void TListBoxStrings::PutObject(int Index, TObject* AObject) {
  if (!Live()) {
    saved_->PutObject(Index, AObject);
    return;
  }
  if (SendMessageW(Wnd(), LB_SETITEMDATA, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(AObject)) ==
      LB_ERR)
    Error(u"List index out of bounds (%d)", Index);
}

void TListBoxStrings::Put(int Index, const String& S) {
  const int selected = listBox_->ItemIndex();
  TObject* obj = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, obj);
  listBox_->SetItemIndex(selected);
}

int TListBoxStrings::Add(const String& S) {
  if (!Live()) {
    int at = saved_->Count();
    if (listBox_->Sorted()) {
      // Where the window would put it: after equal items.
      int lo = 0, hi = saved_->Count();
      while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (CompareItemText(S, saved_->Get(mid)) < 0)
          hi = mid;
        else
          lo = mid + 1;
      }
      at = lo;
    }
    saved_->Insert(at, S);
    SavedInserted(at);
    return at;
  }
  const LRESULT r = SendMessageW(Wnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(S.c_str()));
  if (r < 0) throw EOutOfMemory(u"Insufficient memory for list box");
  return static_cast<int>(r);
}

void TListBoxStrings::Insert(int Index, const String& S) {
  if (!Live()) {
    saved_->Insert(Index, S);
    SavedInserted(Index);
    return;
  }
  if (SendMessageW(Wnd(), LB_INSERTSTRING, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(S.c_str())) <
      0)
    Error(u"List index out of bounds (%d)", Index);
}

void TListBoxStrings::Delete(int Index) {
  if (!Live()) {
    saved_->Delete(Index);
    int& sel = listBox_->itemIndex_;
    if (sel == Index)
      sel = -1;
    else if (sel > Index)
      --sel;
    return;
  }
  if (SendMessageW(Wnd(), LB_DELETESTRING, static_cast<WPARAM>(Index), 0) == LB_ERR)
    Error(u"List index out of bounds (%d)", Index);
}

void TListBoxStrings::Clear() {
  if (!Live()) {
    saved_->Clear();
    listBox_->itemIndex_ = -1;
    listBox_->topIndex_ = 0;
    return;
  }
  SendMessageW(Wnd(), LB_RESETCONTENT, 0, 0);
}

int TListBoxStrings::IndexOf(const String& S) const {
  if (!Live()) {
    for (int i = 0; i < saved_->Count(); ++i)
      if (CompareItemText(saved_->Get(i), S) == 0) return i;
    return -1;
  }
  const LRESULT r =
      SendMessageW(Wnd(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(S.c_str()));
  return r == LB_ERR ? -1 : static_cast<int>(r);
}

void TListBoxStrings::SetUpdateState(bool Updating) {
  if (!Live()) return;
  SendMessageW(Wnd(), WM_SETREDRAW, Updating ? 0 : 1, 0);
  if (!Updating) listBox_->Invalidate();
}

// ---- TCustomListBox -----------------------------------------------------------------------------------

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner),
      items_(std::make_unique<TListBoxStrings>(this)),
      canvas_(std::make_unique<TControlCanvas>()) {
  canvas_->SetControl(this);
  controlStyle_ = {csSetCaption, csDoubleClicks, csOpaque};
  DoSetBounds(0, 0, 121, 97);
  SetTabStop(true);
  color_ = clWindow;
  parentColor_ = false;
  Brush()->SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("BorderStyle", &TCustomListBox::BorderStyle, &TCustomListBox::SetBorderStyle,
         TypeInfoTFormBorderStyle())
      .Default(bsSingle);
  r.Prop("IntegralHeight", &TCustomListBox::IntegralHeight, &TCustomListBox::SetIntegralHeight)
      .Default(false);
  r.Prop("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight);
  r.Prop("Items", &TCustomListBox::Items, &TCustomListBox::SetItems);
  r.Prop("ExtendedSelect", &TCustomListBox::ExtendedSelect, &TCustomListBox::SetExtendedSelect).Default(true);
  r.Prop("MultiSelect", &TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect).Default(false);
  r.Prop("ScrollWidth", &TCustomListBox::ScrollWidth, &TCustomListBox::SetScrollWidth).Default(0);
  r.Prop("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted).Default(false);
  r.Prop("Style", &TCustomListBox::Style, &TCustomListBox::SetStyle, TypeInfoTListBoxStyle())
      .Default(lbStandard);
  r.Event("OnDrawItem", &TCustomListBox::OnDrawItem);
  r.Event("OnMeasureItem", &TCustomListBox::OnMeasureItem);
  r.Event("OnData", &TCustomListBox::OnData);
  r.Event("OnDataFind", &TCustomListBox::OnDataFind);
}

void TCustomListBox::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, u"LISTBOX");
  Params.Style |= WS_HSCROLL | WS_VSCROLL | LBS_NOTIFY;
  if (sorted_) Params.Style |= LBS_SORT;
  if (!integralHeight_) Params.Style |= LBS_NOINTEGRALHEIGHT;
  if (style_ == lbOwnerDrawFixed) Params.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
  if (style_ == lbOwnerDrawVariable) Params.Style |= LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS;
  // A virtual list's window keeps only the number of items; they are drawn from OnData.
  if (IsVirtual()) Params.Style |= LBS_NODATA | LBS_OWNERDRAWFIXED;
  if (multiSelect_) Params.Style |= extendedSelect_ ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (borderStyle_ == bsSingle) {
    if (Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomListBox::CreateWnd() {
  inherited::CreateWnd();
  HWND h = handle_;
  if (style_ == lbOwnerDrawFixed || IsVirtual()) SendMessageW(h, LB_SETITEMHEIGHT, 0, itemHeight_);
  if (IsVirtual()) {
    items_->saved_.reset();
    SendMessageW(h, LB_SETCOUNT, static_cast<WPARAM>(virtualCount_), 0);
  } else if (std::unique_ptr<TStringList> saved = std::move(items_->saved_)) {
    SendMessageW(h, WM_SETREDRAW, 0, 0);
    SendMessageW(h, LB_INITSTORAGE, static_cast<WPARAM>(saved->Count()), 0);
    for (int i = 0; i < saved->Count(); ++i) {
      const String s = saved->Get(i);
      const LRESULT at = SendMessageW(h, sorted_ ? LB_ADDSTRING : LB_INSERTSTRING, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(s.c_str()));
      if (at >= 0 && saved->GetObject(i))
        SendMessageW(h, LB_SETITEMDATA, static_cast<WPARAM>(at),
                     reinterpret_cast<LPARAM>(saved->GetObject(i)));
    }
    SendMessageW(h, WM_SETREDRAW, 1, 0);
  }
  SendMessageW(h, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(scrollWidth_), 0);
  if (itemIndex_ >= 0) SetItemIndex(itemIndex_);
  if (topIndex_ > 0) SendMessageW(h, LB_SETTOPINDEX, static_cast<WPARAM>(topIndex_), 0);
}

void TCustomListBox::DestroyWnd() {
  if (handle_) {
    auto saved = std::make_unique<TStringList>();
    const int n = items_->GetCount();
    if (IsVirtual())
      virtualCount_ = n;
    else
      for (int i = 0; i < n; ++i) saved->AddObject(items_->Get(i), items_->GetObject(i));
    itemIndex_ = ItemIndex();
    topIndex_ = TopIndex();
    scrollWidth_ = ScrollWidth();
    items_->saved_ = std::move(saved);
  }
  inherited::DestroyWnd();
}

int TCustomListBox::ItemIndex() {
  if (!HandleAllocated()) return itemIndex_;
  return static_cast<int>(SendMessageW(handle_, LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int Value) {
  if (!HandleAllocated()) {
    itemIndex_ = Value >= 0 && Value < Count() ? Value : -1;
    return;
  }
  if (ItemIndex() == Value) return;
  if (multiSelect_)
    SendMessageW(handle_, LB_SETCARETINDEX, static_cast<WPARAM>(Value), 0);
  else
    SendMessageW(handle_, LB_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

void TCustomListBox::SetCount(int Value) {
  if (!IsVirtual()) return;
  virtualCount_ = std::max(0, Value);
  if (HandleAllocated()) SendMessageW(handle_, LB_SETCOUNT, static_cast<WPARAM>(virtualCount_), 0);
}

void TCustomListBox::SetMultiSelect(bool Value) {
  if (multiSelect_ == Value) return;
  multiSelect_ = Value;
  RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool Value) {
  if (extendedSelect_ == Value) return;
  extendedSelect_ = Value;
  if (multiSelect_) RecreateWnd();
}

bool TCustomListBox::Selected(int Index) {
  if (!HandleAllocated()) return !multiSelect_ && Index >= 0 && Index == itemIndex_;
  const LRESULT r = SendMessageW(handle_, LB_GETSEL, static_cast<WPARAM>(Index), 0);
  if (r == LB_ERR) throw EStringListError(u"List index out of bounds (" + IntToStr(Index) + u")");
  return r != 0;
}

void TCustomListBox::SetSelected(int Index, bool Value) {
  if (Index < 0 || Index >= Count())
    throw EStringListError(u"List index out of bounds (" + IntToStr(Index) + u")");
  if (!multiSelect_) {
    if (Value)
      SetItemIndex(Index);
    else if (ItemIndex() == Index)
      SetItemIndex(-1);
    return;
  }
  if (HandleAllocated()) SendMessageW(handle_, LB_SETSEL, Value ? 1 : 0, static_cast<LPARAM>(Index));
}

int TCustomListBox::SelCount() {
  if (!multiSelect_ || !HandleAllocated()) return ItemIndex() >= 0 ? 1 : 0;
  return static_cast<int>(SendMessageW(handle_, LB_GETSELCOUNT, 0, 0));
}

String TCustomListBox::DoGetData(int Index) {
  String data;
  if (OnData) OnData(this, Index, data);
  return data;
}

int TCustomListBox::DoFindData(const String& Data) {
  return OnDataFind ? OnDataFind(this, Data) : -1;
}

int TCustomListBox::TopIndex() {
  if (!HandleAllocated()) return topIndex_;
  return static_cast<int>(SendMessageW(handle_, LB_GETTOPINDEX, 0, 0));
}

void TCustomListBox::SetTopIndex(int Value) {
  if (!HandleAllocated()) {
    topIndex_ = std::max(0, Value);
    return;
  }
  if (TopIndex() != Value) SendMessageW(handle_, LB_SETTOPINDEX, static_cast<WPARAM>(Value), 0);
}

int TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) {
  const TRect client = ClientRect();
  if (Inside(client, Pos)) {
    const int n = Count();
    for (int i = TopIndex(); i < n; ++i) {
      const TRect r = ItemRect(i);
      if (r.Top >= client.Bottom) break;
      if (Inside(r, Pos)) return i;
    }
    if (!Existing) return n;
  }
  return -1;
}

TRect TCustomListBox::ItemRect(int Index) {
  const int n = Count();
  TRect r;
  if (Index == 0 || Index < n) {
    SendMessageW(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
    return r;
  }
  if (Index == n) {
    SendMessageW(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(n - 1), reinterpret_cast<LPARAM>(&r));
    const int h = r.Height();
    r.Top += h;
    r.Bottom += h;
  }
  return r;
}

int TCustomListBox::ItemHeight() {
  if (style_ == lbStandard && HandleAllocated())
    return static_cast<int>(SendMessageW(handle_, LB_GETITEMHEIGHT, 0, 0));
  return itemHeight_;
}

void TCustomListBox::SetItemHeight(int Value) {
  if (Value <= 0 || itemHeight_ == Value) return;
  itemHeight_ = Value;
  if (style_ != lbStandard) RecreateWnd();
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
  if (style_ == Value) return;
  style_ = Value;
  RecreateWnd();
}

void TCustomListBox::SetSorted(bool Value) {
  if (sorted_ == Value) return;
  sorted_ = Value;
  if (Value && !HandleAllocated() && items_->saved_) {
    // Sort the kept items as the window would (stable, case-insensitive).
    std::vector<std::pair<String, TObject*>> v;
    for (int i = 0; i < items_->saved_->Count(); ++i)
      v.push_back({items_->saved_->Get(i), items_->saved_->GetObject(i)});
    std::stable_sort(v.begin(), v.end(),
                     [](const auto& a, const auto& b) { return CompareItemText(a.first, b.first) < 0; });
    items_->saved_->Clear();
    for (auto& [s, o] : v) items_->saved_->AddObject(s, o);
  }
  RecreateWnd();
}

int TCustomListBox::ScrollWidth() {
  if (!HandleAllocated()) return scrollWidth_;
  return static_cast<int>(SendMessageW(handle_, LB_GETHORIZONTALEXTENT, 0, 0));
}

void TCustomListBox::SetScrollWidth(int Value) {
  Value = std::max(0, Value);
  scrollWidth_ = Value;
  if (HandleAllocated() && ScrollWidth() != Value)
    SendMessageW(handle_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(Value), 0);
}

void TCustomListBox::SetIntegralHeight(bool Value) {
  if (integralHeight_ == Value) return;
  integralHeight_ = Value;
  RecreateWnd();
}

void TCustomListBox::SetBorderStyle(TBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  RecreateWnd();
}

void TCustomListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  canvas_->FillRect(Rect);
  if (Index < Count()) {
    TRect r = Rect;
    r.Left += 2;
    const String s = IsVirtual() ? DoGetData(Index) : items_->Get(Index);
    DrawTextW(canvas_->Handle(), s.c_str(), static_cast<int>(s.size()), &r,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
}

void TCustomListBox::MeasureItem(int Index, int& Height) {
  if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TCustomListBox::CNCommand(TMessage& Message) {
  switch (HIWORD(Message.WParam)) {
    case LBN_SELCHANGE:
      Changed();
      Click();
      break;
    case LBN_DBLCLK:
      DblClick();
      break;
    default:
      break;
  }
}

void TCustomListBox::CNDrawItem(TMessage& Message) {
  auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  if (!d) return;
  const TOwnerDrawState state = OwnerDrawState(d->itemState);
  const int saved = SaveDC(d->hDC);
  canvas_->SetHandle(d->hDC);
  canvas_->SetFont(Font());
  canvas_->SetBrush(Brush());
  if (state.Contains(odSelected)) {
    canvas_->Brush()->SetColor(clHighlight);
    canvas_->Font()->SetColor(clHighlightText);
  }
  canvas_->Brush()->SetStyle(bsSolid);
  SetBkMode(canvas_->Handle(), TRANSPARENT);
  const TRect r = d->rcItem;
  try {
    if (static_cast<int>(d->itemID) >= 0)
      DrawItem(static_cast<int>(d->itemID), r, state);
    else
      canvas_->FillRect(r);
    if (state.Contains(odFocused) && NeedDrawFocusRect()) canvas_->DrawFocusRect(r);
  } catch (...) {
    canvas_->SetHandle(nullptr);
    RestoreDC(d->hDC, saved);
    throw;
  }
  canvas_->SetHandle(nullptr);
  RestoreDC(d->hDC, saved);
  Message.Result = 1;
}

void TCustomListBox::CNMeasureItem(TMessage& Message) {
  auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  if (!m) return;
  int h = itemHeight_;
  if (style_ == lbOwnerDrawVariable) MeasureItem(static_cast<int>(m->itemID), h);
  m->itemHeight = static_cast<UINT>(std::max(h, 1));
  Message.Result = 1;
}

void TCustomListBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      CNCommand(Message);
      return;
    case CN_DRAWITEM:
      CNDrawItem(Message);
      return;
    case CN_MEASUREITEM:
      CNMeasureItem(Message);
      return;
    case CN_CTLCOLORLISTBOX: {
      HDC dc = reinterpret_cast<HDC>(Message.WParam);
      SetTextColor(dc, ColorToRGB(Font()->Color()));
      SetBkColor(dc, ColorToRGB(Brush()->Color()));
      Message.Result = reinterpret_cast<LRESULT>(Brush()->Handle());
      return;
    }
    default:
      inherited::Dispatch(Message);
  }
}

}  // namespace qd
