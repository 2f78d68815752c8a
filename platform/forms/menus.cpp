#include "platform/forms/menus.h"

#include <algorithm>

#include "platform/base/scopeexit.h"
#include "platform/base/strings.h"
#include "platform/forms/forms.h"
#include "platform/forms/imglist.h"

namespace qd {

QD_IMPLEMENT_CLASS(TMenuItem)
QD_IMPLEMENT_CLASS(TMenu)
QD_IMPLEMENT_CLASS(TPopupMenu)

// ---- Short cuts ---------------------------------------------------------------------------------

TShortCut ShortCut(WORD Key, TShiftState Shift) {
  if (Key & 0xFF00) return 0;
  TShortCut r = Key;
  if (Shift.Contains(ssShift)) r += scShift;
  if (Shift.Contains(ssCtrl)) r += scCtrl;
  if (Shift.Contains(ssAlt)) r += scAlt;
  return r;
}

void ShortCutToKey(TShortCut SC, WORD& Key, TShiftState& Shift) {
  Key = SC & ~(scShift | scCtrl | scAlt);
  Shift.Clear();
  if (SC & scShift) Shift.Include(ssShift);
  if (SC & scCtrl) Shift.Include(ssCtrl);
  if (SC & scAlt) Shift.Include(ssAlt);
}

namespace {

struct KeyName {
  WORD key;
  const Char* name;
};
const KeyName kKeyNames[] = {
    {VK_BACK, u"BkSp"},   {VK_TAB, u"Tab"},    {VK_ESCAPE, u"Esc"}, {VK_RETURN, u"Enter"},
    {VK_SPACE, u"Space"}, {VK_PRIOR, u"PgUp"}, {VK_NEXT, u"PgDn"},  {VK_END, u"End"},
    {VK_HOME, u"Home"},   {VK_LEFT, u"Left"},  {VK_UP, u"Up"},      {VK_RIGHT, u"Right"},
    {VK_DOWN, u"Down"},   {VK_INSERT, u"Ins"}, {VK_DELETE, u"Del"},
};

String KeyText(WORD key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return String(1, static_cast<Char>(key));
  if (key >= VK_F1 && key <= VK_F24) return u"F" + IntToStr(key - VK_F1 + 1);
  for (const auto& k : kKeyNames)
    if (k.key == key) return k.name;
  return {};
}

}  // namespace

String ShortCutToText(TShortCut SC) {
  WORD key;
  TShiftState shift;
  ShortCutToKey(SC, key, shift);
  String name = KeyText(key);
  if (name.empty()) return {};
  String r;
  if (shift.Contains(ssShift)) r += u"Shift+";
  if (shift.Contains(ssCtrl)) r += u"Ctrl+";
  if (shift.Contains(ssAlt)) r += u"Alt+";
  return r + name;
}

TShortCut TextToShortCut(const String& Text) {
  String t = Text;
  TShortCut shift = 0;
  for (;;) {
    if (StartsText(u"Shift+", t)) {
      shift |= scShift;
      t.erase(0, 6);
    } else if (StartsText(u"Ctrl+", t)) {
      shift |= scCtrl;
      t.erase(0, 5);
    } else if (StartsText(u"Alt+", t)) {
      shift |= scAlt;
      t.erase(0, 4);
    } else {
      break;
    }
  }
  if (t.empty()) return 0;
  for (WORD k = 8; k < 255; ++k) {
    String n = KeyText(k);
    if (!n.empty() && SameText(n, t)) return static_cast<TShortCut>(k | shift);
  }
  return 0;
}

Char GetHotkey(const String& Text) {
  for (size_t i = 0; i + 1 < Text.size(); ++i) {
    if (Text[i] != u'&') continue;
    if (Text[i + 1] == u'&') {
      ++i;
      continue;
    }
    return UpCase(Text[i + 1]);
  }
  return 0;
}

String StripHotkey(const String& Text) {
  String r;
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == u'&' && i + 1 < Text.size()) {
      ++i;
      r += Text[i];
    } else if (Text[i] != u'&') {
      r += Text[i];
    }
  }
  return r;
}

// ---- TMenuItem -----------------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  Destroying();
  if (parent_) parent_->Remove(this);
  while (!items_.empty()) {
    TMenuItem* i = items_.back();
    items_.pop_back();
    i->parent_ = nullptr;
    delete i;
  }
}

void TMenuItem::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck).Default(false);
  r.Prop("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
  r.Prop("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked).Default(false);
  r.Prop("Default", &TMenuItem::Default, &TMenuItem::SetDefault).Default(false);
  r.Prop("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(true);
  r.Prop("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex).Default(0);
  r.Prop("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
  r.Prop("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex).Default(-1);
  r.Prop("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem).Default(false);
  r.Prop("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut).Default(0);
  r.Prop("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(true);
  r.Event("OnClick", &TMenuItem::OnClick);
}

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
  return items_[static_cast<size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item) {
  Insert(Count(), Item);
}

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) return;
  if (Item->parent_) throw EInvalidOperation(u"Menu inserted twice");
  if (Index < 0 || Index > Count()) RaiseListIndexError(Index);
  items_.insert(items_.begin() + Index, Item);
  Item->parent_ = this;
  Item->menu_ = menu_;
}

void TMenuItem::Delete(int Index) {
  TMenuItem* i = Items(Index);
  Remove(i);
  delete i;
}

void TMenuItem::Remove(TMenuItem* Item) {
  auto it = std::find(items_.begin(), items_.end(), Item);
  if (it == items_.end()) throw EInvalidOperation(u"Sub-menu is not in menu");
  items_.erase(it);
  Item->parent_ = nullptr;
  Item->menu_ = nullptr;
}

void TMenuItem::Clear() {
  while (!items_.empty()) Delete(Count() - 1);
}

int TMenuItem::IndexOf(TMenuItem* Item) const {
  auto it = std::find(items_.begin(), items_.end(), Item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenuItem* TMenuItem::Find(const String& ACaption) const {
  const String want = StripHotkey(ACaption);
  for (TMenuItem* i : items_)
    if (SameText(StripHotkey(i->caption_), want)) return i;
  return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* i = this;
  while (i->parent_) i = i->parent_;
  return i->menu_;
}

void TMenuItem::SetMenuIndex(int Value) {
  if (!parent_) return;
  TMenuItem* p = parent_;
  p->Remove(this);
  p->Insert(std::clamp(Value, 0, p->Count()), this);
}

void TMenuItem::Click() {
  if (!enabled_) return;
  if (autoCheck_) checked_ = !checked_;
  if (OnClick) OnClick(this);
}

TComponent* TMenuItem::GetParentComponent() const {
  if (parent_ && parent_->menu_ && !parent_->parent_) return parent_->menu_;
  return parent_;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
  if (parent_) parent_->Remove(this);
  if (auto* m = dynamic_cast<TMenu*>(Value))
    m->Items()->Add(this);
  else if (auto* i = dynamic_cast<TMenuItem*>(Value))
    i->Add(this);
}

void TMenuItem::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  for (TMenuItem* i : items_)
    if (i->Owner() == Root) Proc(i);
}

// ---- TMenu and TPopupMenu ----------------------------------------------------------------------

void TMenu::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("BiDiMode", &TMenu::BiDiMode, &TMenu::SetBiDiMode, TypeInfoTBiDiMode());
  r.Prop("ParentBiDiMode", &TMenu::ParentBiDiMode, &TMenu::SetParentBiDiMode).Default(true);
}

TBiDiMode TMenu::BiDiMode() const {
  if (!parentBiDiMode_) return biDiMode_;
  if (auto* control = dynamic_cast<TControl*>(Owner())) return control->BiDiMode();
  return bdLeftToRight;
}

void TMenu::SetBiDiMode(TBiDiMode Value) {
  biDiMode_ = Value;
  parentBiDiMode_ = false;
}

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner) {
  items_ = new TMenuItem(this);
  items_->menu_ = this;
}

TBitmap* TMenuItem::Bitmap() {
  if (!bitmap_) bitmap_ = std::make_unique<TBitmap>();
  return bitmap_.get();
}

void TMenuItem::SetBitmap(TBitmap* Value) {
  if (!Value) {
    bitmap_.reset();
    return;
  }
  Bitmap()->Assign(Value);
}

void TMenu::SetImages(TCustomImageList* Value) {
  if (images_ == Value) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = Value;
  if (images_) images_->FreeNotification(this);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == images_) images_ = nullptr;
}

TMenu::~TMenu() {
  Destroying();
  // The root item is owned by the menu and goes with DestroyComponents.
  DestroyComponents();
}

void TMenu::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  items_->GetChildren(Proc, Root);
}

namespace {
TMenuItem* FindByShortCut(const TMenuItem* Parent, TShortCut SC) {
  for (int i = 0; i < Parent->Count(); ++i) {
    TMenuItem* it = Parent->Items(i);
    if (it->ShortCut() == SC && SC != 0) return it;
    if (TMenuItem* r = FindByShortCut(it, SC)) return r;
  }
  return nullptr;
}
}  // namespace

TMenuItem* TMenu::FindItemByShortCut(TShortCut SC) const {
  return FindByShortCut(items_, SC);
}

bool TMenu::IsShortCut(TMessage& Message) {
  TShortCut sc = static_cast<uint8_t>(Message.CharCode());
  if (GetKeyState(VK_SHIFT) < 0) sc += scShift;
  if (GetKeyState(VK_CONTROL) < 0) sc += scCtrl;
  if (Message.KeyData() & 0x20000000) sc += scAlt;
  TMenuItem* item = FindItemByShortCut(sc);
  if (!item || !item->Enabled() || !item->Visible()) return false;
  item->Click();
  return true;
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

void TPopupMenu::RegisterProperties(TPropertyRegistrar& r) {
  static const TTypeInfo align = MakeEnumTypeInfo(u"TPopupAlignment", {u"paLeft", u"paRight", u"paCenter"});
  r.Prop("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment, &align).Default(paLeft);
  r.Prop("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Default(true);
  r.Event("OnPopup", &TPopupMenu::OnPopup);
  r.Event("OnClose", &TPopupMenu::OnClose);
}

void TPopupMenu::SetPopupComponent(TComponent* Value) {
  if (popupComponent_ == Value) return;
  if (popupComponent_) popupComponent_->RemoveFreeNotification(this);
  popupComponent_ = Value;
  if (Value) Value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == popupComponent_) popupComponent_ = nullptr;
}

// ---- The popup window and its loop ------------------------------------------------------------------

namespace {

const Char kPopupClass[] = u"QdPopupMenuWindow";
HWND gTrackedWindow = nullptr;

struct PopupState {
  std::vector<TMenuItem*> items;  // the visible items, in order
  std::vector<TRect> rects;       // client coordinates
  int hot = -1;
  bool cancelled = false;
  HFONT font = nullptr;
  HFONT boldFont = nullptr;
};

constexpr int kItemPad = 4;
constexpr int kLeftMargin = 24;
constexpr int kRightMargin = 20;
constexpr int kSeparatorHeight = 9;

// The item's glyph in the left margin: the menu's image of ImageIndex, else the item's own
// bitmap; a disabled item's glyph is greyed.
void DrawItemGlyph(HDC dc, TMenuItem* item, const TRect& r) {
  TMenu* menu = item->GetParentMenu();
  TCustomImageList* images = menu ? menu->Images() : nullptr;
  const bool fromList = images && item->ImageIndex() >= 0 && item->ImageIndex() < images->Count();
  if (!fromList && !item->HasBitmap()) return;
  // The canvas selects its own font and brush: the item's text keeps the menu's.
  const int saved = SaveDC(dc);
  TCanvas canvas;
  canvas.SetHandle(dc);
  if (fromList) {
    const int x = r.Left + (kLeftMargin - images->Width()) / 2;
    const int y = r.Top + (r.Height() - images->Height()) / 2;
    images->Draw(&canvas, x, y, item->ImageIndex(), item->Enabled());
  } else {
    TBitmap* glyph = item->Bitmap();
    const int w = std::min(glyph->Width(), kLeftMargin - 4), h = std::min(glyph->Height(), r.Height());
    const int x = r.Left + (kLeftMargin - w) / 2, y = r.Top + (r.Height() - h) / 2;
    glyph->Draw(&canvas, TRect{x, y, x + w, y + h});
  }
  canvas.SetHandle(nullptr);
  RestoreDC(dc, saved);
}

void PaintPopup(HWND hwnd, PopupState& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT cr;
  GetClientRect(hwnd, &cr);
  FillRect(dc, &cr, GetSysColorBrush(COLOR_MENU));
  SetBkMode(dc, TRANSPARENT);
  for (size_t i = 0; i < s.items.size(); ++i) {
    TMenuItem* item = s.items[i];
    TRect r = s.rects[i];
    if (item->IsLine()) {
      RECT line{r.Left + 2, r.Top + r.Height() / 2, r.Right - 2, r.Top + r.Height() / 2 + 1};
      FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));
      continue;
    }
    const bool hot = static_cast<int>(i) == s.hot;
    if (hot && item->Enabled()) FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(!item->Enabled() ? COLOR_GRAYTEXT
                                 : hot            ? COLOR_HIGHLIGHTTEXT
                                                  : COLOR_MENUTEXT));
    HGDIOBJ oldFont = SelectObject(dc, item->Default() && s.boldFont ? s.boldFont : s.font);
    if (item->Checked()) {
      // A check mark in the left margin.
      const int cx = r.Left + 8, cy = r.Top + r.Height() / 2;
      HPEN pen = CreatePen(PS_SOLID, 2, GetTextColor(dc));
      HGDIOBJ oldPen = SelectObject(dc, pen);
      MoveToEx(dc, cx, cy, nullptr);
      LineTo(dc, cx + 3, cy + 3);
      LineTo(dc, cx + 9, cy - 4);
      SelectObject(dc, oldPen);
      DeleteObject(pen);
    }
    DrawItemGlyph(dc, item, r);
    RECT tr{r.Left + kLeftMargin, r.Top, r.Right - kRightMargin, r.Bottom};
    const String& caption = item->Caption();
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &tr,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    String sc = ShortCutToText(item->ShortCut());
    if (!sc.empty())
      DrawTextW(dc, sc.c_str(), static_cast<int>(sc.size()), &tr,
                DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (item->Count() > 0) {
      // An arrow for a sub-menu.
      const int ax = r.Right - 12, ay = r.Top + r.Height() / 2;
      for (int k = 0; k < 4; ++k) {
        RECT a{ax + k, ay - 3 + k, ax + k + 1, ay + 4 - k};
        FillRect(dc, &a, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      }
    }
    SelectObject(dc, oldFont);
  }
  EndPaint(hwnd, &ps);
}

LRESULT PopupWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* s = static_cast<PopupState*>(GetPropW(hwnd, u"QdPopupState"));
  switch (msg) {
    case WM_PAINT:
      if (s) {
        PaintPopup(hwnd, *s);
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_CAPTURECHANGED:
      if (s && reinterpret_cast<HWND>(lParam) != hwnd) s->cancelled = true;
      return 0;
    case WM_CANCELMODE:
      if (s) s->cancelled = true;
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void RegisterPopupClass() {
  WNDCLASSW wc;
  if (GetClassInfoW(nullptr, kPopupClass, &wc)) return;
  wc.style = CS_DROPSHADOW | CS_SAVEBITS;
  wc.lpfnWndProc = &PopupWndProc;
  wc.lpszClassName = kPopupClass;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  RegisterClassW(&wc);
}

int ItemAt(const PopupState& s, TPoint client) {
  for (size_t i = 0; i < s.rects.size(); ++i) {
    const TRect& r = s.rects[i];
    if (client.X >= r.Left && client.X < r.Right && client.Y >= r.Top && client.Y < r.Bottom)
      return static_cast<int>(i);
  }
  return -1;
}

bool Selectable(const PopupState& s, int i) {
  return i >= 0 && i < static_cast<int>(s.items.size()) && !s.items[static_cast<size_t>(i)]->IsLine() &&
         s.items[static_cast<size_t>(i)]->Enabled();
}

TMenuItem* TrackMenu(TMenuItem* parent, int x, int y, TPopupAlignment alignment);

// What a finished popup loop chose: an item, nothing (cancelled), or "go back" to the
// parent menu (Left or Escape in a sub-menu).
struct TrackResult {
  TMenuItem* item = nullptr;
  bool back = false;
};

TrackResult RunPopup(TMenuItem* parent, int x, int y, TPopupAlignment alignment, bool isSub);

// The menu font, and its bold form for the default item.
void ChooseFonts(PopupState& s, TFont& bold) {
  TFont* menuFont = Screen ? Screen->MenuFont() : nullptr;
  if (!menuFont) {
    s.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    return;
  }
  s.font = menuFont->Handle();
  bold.Assign(menuFont);
  bold.SetStyle(bold.Style() + TFontStyles{fsBold});
  s.boldFont = bold.Handle();
}

// Measures the items and lays them out one under the other; returns the window's size.
SIZE LayoutPopup(PopupState& s) {
  HDC mdc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mdc, s.font);
  TEXTMETRICW tm;
  GetTextMetricsW(mdc, &tm);
  const int itemHeight = std::max<int>(tm.tmHeight + 2 * kItemPad, 20);
  int textWidth = 0, scWidth = 0;
  for (TMenuItem* item : s.items) {
    if (item->IsLine()) continue;
    RECT r{0, 0, 0, 0};
    SelectObject(mdc, item->Default() && s.boldFont ? s.boldFont : s.font);
    DrawTextW(mdc, item->Caption().c_str(), static_cast<int>(item->Caption().size()), &r,
              DT_CALCRECT | DT_SINGLELINE);
    textWidth = std::max(textWidth, r.Right);
    String sc = ShortCutToText(item->ShortCut());
    if (!sc.empty()) {
      SIZE sz;
      GetTextExtentPoint32W(mdc, sc.c_str(), static_cast<int>(sc.size()), &sz);
      scWidth = std::max<int>(scWidth, sz.cx);
    }
  }
  SelectObject(mdc, old);
  DeleteDC(mdc);
  const int width = kLeftMargin + textWidth + (scWidth ? scWidth + 24 : 0) + kRightMargin;
  int top = 2;
  for (TMenuItem* item : s.items) {
    const int h = item->IsLine() ? kSeparatorHeight : itemHeight;
    s.rects.push_back(Rect(2, top, 2 + width, top + h));
    top += h;
  }
  return {width + 4 + 2, top + 2 + 2};
}

// Where a popup of the given size opens for the point (x, y): aligned to it, inside the work
// area of the monitor at the point.
TPoint PlacePopup(int x, int y, SIZE size, TPopupAlignment alignment) {
  if (alignment == paRight)
    x -= size.cx;
  else if (alignment == paCenter)
    x -= size.cx / 2;
  MONITORINFO mi;
  if (GetMonitorInfoW(MonitorFromPoint(TPoint{x, y}, MONITOR_DEFAULTTONEAREST), &mi)) {
    const TRect& wa = mi.rcWork;
    if (x + size.cx > wa.Right) x = std::max(wa.Left, x - size.cx);
    if (y + size.cy > wa.Bottom) y = std::max(wa.Top, y - size.cy);
    x = std::max<int>(x, wa.Left);
    y = std::max<int>(y, wa.Top);
  }
  return {x, y};
}

// The modal loop of one open popup: keys and the mouse move the hot item and choose.
class PopupLoop {
 public:
  PopupLoop(PopupState& s, HWND hwnd, bool isSub) : s_(s), hwnd_(hwnd), isSub_(isSub) {}

  TrackResult Run() {
    while (!done_) {
      if (s_.cancelled) break;
      MSG m;
      BOOL got = GetMessageW(&m, nullptr, 0, 0);
      if (got == 0) {
        // A quit request ends the menu and stays for the outer loop.
        PostQuitMessage(static_cast<int>(m.wParam));
        break;
      }
      if (got < 0) break;
      Handle(m);
    }
    return result_;
  }

 private:
  void Handle(MSG& m) {
    switch (m.message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        TranslateMessage(&m);  // accelerator letters arrive as WM_CHAR
        KeyDown(m.wParam);
        break;
      case WM_CHAR:
      case WM_SYSCHAR:
        Accelerator(UpCase(static_cast<Char>(m.wParam)));
        break;
      case WM_KEYUP:
      case WM_SYSKEYUP:
        break;
      case WM_MOUSEMOVE: {
        const int i = ItemAt(s_, ClientPoint(m.pt));
        if (i >= 0 && !s_.items[static_cast<size_t>(i)]->IsLine()) SetHot(i);
        break;
      }
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDBLCLK: {
        // A click outside the popup closes it.
        RECT wr;
        GetWindowRect(hwnd_, &wr);
        const TPoint p = m.pt;
        if (p.X < wr.Left || p.X >= wr.Right || p.Y < wr.Top || p.Y >= wr.Bottom) done_ = true;
        break;
      }
      case WM_LBUTTONUP:
      case WM_RBUTTONUP: {
        const int i = ItemAt(s_, ClientPoint(m.pt));
        if (i >= 0) Choose(i);
        break;
      }
      default:
        TranslateMessage(&m);
        DispatchMessageW(&m);
        break;
    }
  }

  void KeyDown(WPARAM key) {
    switch (key) {
      case VK_UP:
        MoveHot(-1);
        break;
      case VK_DOWN:
        MoveHot(1);
        break;
      case VK_RETURN:
      case VK_SPACE:
        Choose(s_.hot);
        break;
      case VK_RIGHT:
        if (Selectable(s_, s_.hot) && s_.items[static_cast<size_t>(s_.hot)]->Count() > 0) Choose(s_.hot);
        break;
      case VK_LEFT:
        if (isSub_) {
          result_.back = true;
          done_ = true;
        }
        break;
      case VK_ESCAPE:
        result_.back = isSub_;
        done_ = true;
        break;
      case VK_MENU:
      case VK_F10:
        done_ = true;
        break;
      default:
        break;
    }
  }

  // The first selectable item whose hotkey is c becomes hot and is chosen.
  void Accelerator(Char c) {
    for (size_t i = 0; i < s_.items.size(); ++i)
      if (GetHotkey(s_.items[i]->Caption()) == c && Selectable(s_, static_cast<int>(i))) {
        SetHot(static_cast<int>(i));
        Choose(static_cast<int>(i));
        return;
      }
  }

  TPoint ClientPoint(POINT screen) const {
    ScreenToClient(hwnd_, &screen);
    return screen;
  }

  void SetHot(int h) {
    if (h == s_.hot) return;
    s_.hot = h;
    InvalidateRect(hwnd_, nullptr, TRUE);
  }

  // The next selectable item in the direction, wrapping around.
  void MoveHot(int dir) {
    const int n = static_cast<int>(s_.items.size());
    int i = s_.hot;
    for (int k = 0; k < n; ++k) {
      i = i < 0 ? (dir > 0 ? 0 : n - 1) : (i + dir + n) % n;
      if (Selectable(s_, i)) {
        SetHot(i);
        return;
      }
    }
  }

  // Chooses item i: a sub-menu opens beside it, a plain item ends the loop.
  void Choose(int i) {
    if (!Selectable(s_, i)) return;
    TMenuItem* item = s_.items[static_cast<size_t>(i)];
    if (item->Count() == 0) {
      result_.item = item;
      done_ = true;
      return;
    }
    RECT wr;
    GetWindowRect(hwnd_, &wr);
    ReleaseCapture();
    s_.cancelled = false;
    TrackResult sub =
        RunPopup(item, wr.Right - 2, wr.Top + s_.rects[static_cast<size_t>(i)].Top, paLeft, true);
    if (!sub.back) {
      result_.item = sub.item;
      done_ = true;
      return;
    }
    SetCapture(hwnd_);
    s_.cancelled = false;
  }

  PopupState& s_;
  HWND hwnd_;
  bool isSub_;
  TrackResult result_;
  bool done_ = false;
};

TrackResult RunPopup(TMenuItem* parent, int x, int y, TPopupAlignment alignment, bool isSub) {
  PopupState s;
  for (int i = 0; i < parent->Count(); ++i)
    if (parent->Items(i)->Visible()) s.items.push_back(parent->Items(i));
  if (s.items.empty()) return {};
  TFont bold;
  ChooseFonts(s, bold);
  const SIZE size = LayoutPopup(s);
  const TPoint at = PlacePopup(x, y, size, alignment);
  RegisterPopupClass();
  HWND hwnd =
      CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kPopupClass, u"",
                      WS_POPUP | WS_BORDER, at.X, at.Y, size.cx, size.cy, nullptr, nullptr, nullptr, nullptr);
  if (!hwnd) return {};
  SetPropW(hwnd, u"QdPopupState", &s);
  HWND previousTracked = gTrackedWindow;
  gTrackedWindow = hwnd;
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd);
  SetCapture(hwnd);
  for (size_t i = 0; i < s.items.size() && isSub; ++i)
    if (Selectable(s, static_cast<int>(i))) {
      s.hot = static_cast<int>(i);
      break;
    }
  InvalidateRect(hwnd, nullptr, TRUE);

  // Whatever ends the loop (a choice, a cancel, an exception) takes the window away.
  ScopeExit cleanup{[hwnd, previousTracked] {
    if (GetCapture() == hwnd) ReleaseCapture();
    RemovePropW(hwnd, u"QdPopupState");
    DestroyWindow(hwnd);
    gTrackedWindow = previousTracked;
  }};
  return PopupLoop(s, hwnd, isSub).Run();
}

TMenuItem* TrackMenu(TMenuItem* parent, int x, int y, TPopupAlignment alignment) {
  return RunPopup(parent, x, y, alignment, false).item;
}

}  // namespace

HWND GetTrackedPopupMenuWindow() {
  return gTrackedWindow;
}

void TPopupMenu::Popup(int X, int Y) {
  popupPoint_ = {X, Y};
  if (OnPopup) OnPopup(this);
  TPopupAlignment alignment = alignment_;
  if (IsRightToLeft() && alignment != paCenter) alignment = alignment == paLeft ? paRight : paLeft;
  TMenuItem* chosen = TrackMenu(Items(), X, Y, alignment);
  if (OnClose) OnClose(this);
  if (chosen) chosen->Click();
}

}  // namespace qd
