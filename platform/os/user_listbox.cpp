// The "LISTBOX" window class: items, selection, scrolling, painting, owner drawing, keyboard
// and mouse handling, and the notifications to the parent.
#include "platform/os/user_listbox.h"

#include <fnmatch.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/base/strings.h"
#include "platform/os/kernel.h"
#include "platform/os/nls.h"

namespace qd::user {
namespace {

constexpr UINT_PTR kAutoScrollTimer = 0xFFF0;
constexpr UINT kAutoScrollDelay = 100;
constexpr DWORD kTypeAheadMs = 1000;

struct Item {
  String text;
  ULONG_PTR data = 0;
  int height = 0;         // owner-draw variable only
  bool selected = false;  // multiple selection only
};

struct ListBox {
  HWND hwnd = nullptr;
  DWORD style = 0;  // the LBS_ bits and the scroll bars asked for at creation
  std::vector<Item> items;
  int sel = -1;     // single selection only
  int caret = 0;    // the item with the focus rectangle
  int anchor = -1;  // where an extended selection made with Shift starts
  int top = 0;
  int itemHeight = 16;
  HFONT font = nullptr;
  int hExtent = 0;
  int hPos = 0;
  int columnWidth = 150;  // multi-column lists
  bool focused = false;
  bool redraw = true;
  bool tracking = false;
  int trackStartSel = -1;
  int trackDir = 0;  // -1 / +1 while the mouse is above / below the list during tracking
  int wheelRest = 0;
  String typed;
  DWORD typedAt = 0;
  int scrollUpdates = 0;  // re-entrance of UpdateScrollBars through frame changes
  bool scrollAgain = false;

  int Count() const { return static_cast<int>(items.size()); }
  bool OwnerDraw() const { return (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
  bool Variable() const { return (style & LBS_OWNERDRAWVARIABLE) != 0; }
  bool HasStrings() const { return !(style & LBS_NODATA) && (!OwnerDraw() || (style & LBS_HASSTRINGS)); }
  bool Notify() const { return (style & LBS_NOTIFY) != 0; }
  bool Multi() const { return (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
  bool Extended() const { return (style & LBS_EXTENDEDSEL) != 0; }
  bool Columns() const { return (style & LBS_MULTICOLUMN) != 0 && !Variable(); }
  bool IsSelected(int i) const {
    return Multi() ? Valid(i) && items[static_cast<size_t>(i)].selected : i == sel && i >= 0;
  }
  bool Valid(int i) const { return i >= 0 && i < Count(); }
  int HeightOf(int i) const {
    return Variable() && Valid(i) ? items[static_cast<size_t>(i)].height : itemHeight;
  }
};
using ListBoxPtr = std::shared_ptr<ListBox>;

std::mutex& ListBoxTableLock() {
  static std::mutex m;
  return m;
}
std::unordered_map<HWND, ListBoxPtr>& ListBoxTable() {
  static auto* t = new std::unordered_map<HWND, ListBoxPtr>;
  return *t;
}

ListBoxPtr Find(HWND hwnd) {
  std::lock_guard g(ListBoxTableLock());
  auto it = ListBoxTable().find(hwnd);
  return it == ListBoxTable().end() ? nullptr : it->second;
}

// ---- Geometry ---------------------------------------------------------------------------------

RECT Client(const ListBox& lb) {
  RECT r{};
  GetClientRect(lb.hwnd, &r);
  return r;
}

// Multi-column lists: items run down a column of whole rows, then on in the next column to
// the right; the top index is the first item of the first column shown.
int Rows(const ListBox& lb) {
  return std::max(1, Client(lb).Height() / std::max(1, lb.itemHeight));
}

int VisibleColumns(const ListBox& lb) {
  return std::max(1, Client(lb).Width() / std::max(1, lb.columnWidth));
}

int ColumnCount(const ListBox& lb) {
  const int rows = Rows(lb);
  return (lb.Count() + rows - 1) / rows;
}

// The top of item i relative to the client area (negative above the first visible item).
int ItemY(const ListBox& lb, int i) {
  if (lb.Columns()) return (i % Rows(lb)) * lb.itemHeight;
  if (!lb.Variable()) return (i - lb.top) * lb.itemHeight;
  int y = 0;
  if (i >= lb.top)
    for (int k = lb.top; k < i; ++k) y += lb.HeightOf(k);
  else
    for (int k = i; k < lb.top; ++k) y -= lb.HeightOf(k);
  return y;
}

RECT ItemRect(const ListBox& lb, int i) {
  if (lb.Columns()) {
    const int rows = Rows(lb);
    const int x = (i / rows - lb.top / rows) * lb.columnWidth;
    const int y = ItemY(lb, i);
    return {x, y, x + lb.columnWidth, y + lb.itemHeight};
  }
  RECT c = Client(lb);
  const int y = ItemY(lb, i);
  const int width = std::max<int>(c.Width(), lb.hExtent);
  return {-lb.hPos, y, width - lb.hPos, y + lb.HeightOf(i)};
}

// The items that fit whole from `from` on (at least one when there is an item).
int FullyVisibleFrom(const ListBox& lb, int from) {
  const int h = Client(lb).Height();
  if (lb.Columns()) return Rows(lb) * VisibleColumns(lb);
  if (!lb.Variable()) return std::max(1, h / std::max(1, lb.itemHeight));
  int n = 0, y = 0;
  for (int i = from; i < lb.Count(); ++i) {
    y += lb.HeightOf(i);
    if (y > h) break;
    ++n;
  }
  return std::max(1, n);
}

// The largest top index: the one that shows the last item at the bottom of a full page.
int MaxTop(const ListBox& lb) {
  const int n = lb.Count();
  if (n == 0) return 0;
  const int h = Client(lb).Height();
  if (lb.Columns()) return std::max(0, ColumnCount(lb) - VisibleColumns(lb)) * Rows(lb);
  if (!lb.Variable()) return std::max(0, n - std::max(1, h / std::max(1, lb.itemHeight)));
  int y = 0, i = n;
  while (i > 0 && y + lb.HeightOf(i - 1) <= h) y += lb.HeightOf(--i);
  return std::min(i, n - 1);
}

// The item at a client point (clamped to the items), or -1 for an empty list.
int NearestItem(const ListBox& lb, int y, int x = 0) {
  if (lb.Count() == 0) return -1;
  if (lb.Columns()) {
    const int rows = Rows(lb);
    const int column = lb.top / rows + (x < 0 ? -1 : x / std::max(1, lb.columnWidth));
    const int row = std::clamp(y / std::max(1, lb.itemHeight), 0, rows - 1);
    return std::clamp(column * rows + row, 0, lb.Count() - 1);
  }
  if (y < 0) return std::max(0, lb.top - 1);
  int i = lb.top, at = 0;
  while (i < lb.Count() - 1 && at + lb.HeightOf(i) <= y) at += lb.HeightOf(i++);
  return i;
}

// ---- Notifications and owner drawing ------------------------------------------------------------

HWND Owner(const ListBox& lb) {
  return GetParent(lb.hwnd);
}

void NotifyParent(const ListBox& lb, int code) {
  HWND parent = Owner(lb);
  if (!parent) return;
  SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(lb.hwnd), code),
               reinterpret_cast<LPARAM>(lb.hwnd));
}

void SendDeleteItem(const ListBox& lb, int i) {
  const Item& item = lb.items[static_cast<size_t>(i)];
  if (!lb.OwnerDraw() && item.data == 0) return;
  HWND parent = Owner(lb);
  if (!parent || !IsWindow(parent)) return;
  DELETEITEMSTRUCT d{ODT_LISTBOX, static_cast<UINT>(GetDlgCtrlID(lb.hwnd)), static_cast<UINT>(i), lb.hwnd,
                     item.data};
  SendMessageW(parent, WM_DELETEITEM, d.CtlID, reinterpret_cast<LPARAM>(&d));
}

int MeasureItem(const ListBox& lb, int i, ULONG_PTR data) {
  HWND parent = Owner(lb);
  MEASUREITEMSTRUCT m{
      ODT_LISTBOX, static_cast<UINT>(GetDlgCtrlID(lb.hwnd)), static_cast<UINT>(std::max(i, 0)),
      0,           static_cast<UINT>(lb.itemHeight),         data};
  RECT c = Client(lb);
  m.itemWidth = static_cast<UINT>(std::max<int>(c.Width(), 0));
  if (parent) SendMessageW(parent, WM_MEASUREITEM, m.CtlID, reinterpret_cast<LPARAM>(&m));
  return static_cast<int>(std::clamp<UINT>(m.itemHeight, 1, 32767));
}

int CompareItems(const ListBox& lb, const Item& a, int ia, const Item& b, int ib) {
  if (lb.HasStrings()) {
    const int r =
        CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.text.c_str(), static_cast<int>(a.text.size()),
                       b.text.c_str(), static_cast<int>(b.text.size()));
    return r - CSTR_EQUAL;
  }
  HWND parent = Owner(lb);
  if (!parent) return 0;
  COMPAREITEMSTRUCT c{ODT_LISTBOX, static_cast<UINT>(GetDlgCtrlID(lb.hwnd)),
                      lb.hwnd,     static_cast<UINT>(ia),
                      a.data,      static_cast<UINT>(ib),
                      b.data,      LOCALE_USER_DEFAULT};
  return static_cast<int>(SendMessageW(parent, WM_COMPAREITEM, c.CtlID, reinterpret_cast<LPARAM>(&c)));
}

// The colours of WM_CTLCOLORLISTBOX, set into the DC; returns the background brush.
HBRUSH PrepareDC(const ListBox& lb, HDC dc) {
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  HBRUSH brush = nullptr;
  if (HWND parent = Owner(lb))
    brush = reinterpret_cast<HBRUSH>(SendMessageW(parent, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                                                  reinterpret_cast<LPARAM>(lb.hwnd)));
  if (!brush) brush = GetSysColorBrush(COLOR_WINDOW);
  SelectObject(dc, lb.font ? static_cast<HGDIOBJ>(lb.font) : GetStockObject(DEFAULT_GUI_FONT));
  return brush;
}

UINT ItemState(const ListBox& lb, int i) {
  UINT s = 0;
  if (lb.IsSelected(i)) s |= ODS_SELECTED;
  if (lb.focused && i == lb.caret) s |= ODS_FOCUS;
  if (!IsWindowEnabled(lb.hwnd)) s |= ODS_DISABLED;
  return s;
}

void DrawOne(const ListBox& lb, HDC dc, HBRUSH brush, int i, UINT action) {
  RECT r = ItemRect(lb, i);
  const UINT state = ItemState(lb, i);
  if (lb.OwnerDraw()) {
    const int saved = SaveDC(dc);
    DRAWITEMSTRUCT d{ODT_LISTBOX,
                     static_cast<UINT>(GetDlgCtrlID(lb.hwnd)),
                     static_cast<UINT>(i),
                     action,
                     state,
                     lb.hwnd,
                     dc,
                     r,
                     lb.items[static_cast<size_t>(i)].data};
    if (HWND parent = Owner(lb)) SendMessageW(parent, WM_DRAWITEM, d.CtlID, reinterpret_cast<LPARAM>(&d));
    RestoreDC(dc, saved);
    return;
  }
  const bool selected = (state & ODS_SELECTED) != 0;
  const COLORREF oldText = GetTextColor(dc), oldBk = GetBkColor(dc);
  if (selected) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
  } else {
    FillRect(dc, &r, brush);
    if (state & ODS_DISABLED) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  }
  const String& text = lb.items[static_cast<size_t>(i)].text;
  RECT tr{r.Left + 2, r.Top, r.Right, r.Bottom};
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &tr,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | ((lb.style & LBS_USETABSTOPS) ? DT_EXPANDTABS : 0));
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBk);
  if (state & ODS_FOCUS) {
    RECT f = r;
    if (!lb.Columns()) {
      f = Client(lb);
      f.Top = r.Top;
      f.Bottom = r.Bottom;
    }
    DrawFocusRect(dc, &f);
  }
}

// The focus of an empty owner-drawn list: an item of index -1.
void DrawEmptyFocus(const ListBox& lb, HDC dc, UINT action) {
  if (!lb.OwnerDraw() || lb.Count() != 0) return;
  RECT c = Client(lb);
  DRAWITEMSTRUCT d{ODT_LISTBOX,
                   static_cast<UINT>(GetDlgCtrlID(lb.hwnd)),
                   static_cast<UINT>(-1),
                   action,
                   lb.focused ? ODS_FOCUS : 0u,
                   lb.hwnd,
                   dc,
                   {c.Left, c.Top, c.Right, c.Top + lb.itemHeight},
                   0};
  const int saved = SaveDC(dc);
  if (HWND parent = Owner(lb)) SendMessageW(parent, WM_DRAWITEM, d.CtlID, reinterpret_cast<LPARAM>(&d));
  RestoreDC(dc, saved);
}

void PaintAll(const ListBox& lb, HDC dc) {
  const int saved = SaveDC(dc);
  RECT c = Client(lb);
  IntersectClipRect(dc, c.Left, c.Top, c.Right, c.Bottom);
  HBRUSH brush = PrepareDC(lb, dc);
  if (lb.Columns()) {
    FillRect(dc, &c, brush);
    const int last = std::min(lb.Count(), lb.top + Rows(lb) * (VisibleColumns(lb) + 1));
    for (int i = lb.top; i < last; ++i) DrawOne(lb, dc, brush, i, ODA_DRAWENTIRE);
    RestoreDC(dc, saved);
    return;
  }
  int y = 0;
  for (int i = lb.top; i < lb.Count() && y < c.Bottom; ++i) {
    DrawOne(lb, dc, brush, i, ODA_DRAWENTIRE);
    y += lb.HeightOf(i);
  }
  if (y < c.Bottom) {
    RECT rest{c.Left, y, c.Right, c.Bottom};
    FillRect(dc, &rest, brush);
  }
  if (lb.focused && lb.Count() == 0) DrawEmptyFocus(lb, dc, ODA_DRAWENTIRE);
  RestoreDC(dc, saved);
}

bool CanDrawNow(const ListBox& lb) {
  return lb.redraw && IsWindowVisible(lb.hwnd);
}

// Redraws one item at once (ODA_SELECT / ODA_FOCUS), as the selection or focus moves.
void DrawItemNow(const ListBox& lb, int i, UINT action) {
  if (!CanDrawNow(lb)) return;
  if (!lb.Valid(i)) {
    if (lb.Count() == 0 && lb.OwnerDraw() && (action & ODA_FOCUS)) {
      HDC dc = GetDC(lb.hwnd);
      PrepareDC(lb, dc);
      DrawEmptyFocus(lb, dc, action);
      ReleaseDC(lb.hwnd, dc);
    }
    return;
  }
  RECT r = ItemRect(lb, i);
  RECT c = Client(lb);
  if (r.Bottom <= c.Top || r.Top >= c.Bottom || r.Right <= c.Left || r.Left >= c.Right) return;
  HDC dc = GetDC(lb.hwnd);
  IntersectClipRect(dc, c.Left, c.Top, c.Right, c.Bottom);
  HBRUSH brush = PrepareDC(lb, dc);
  DrawOne(lb, dc, brush, i, action);
  ReleaseDC(lb.hwnd, dc);
}

// ---- Scrolling ----------------------------------------------------------------------------------

void UpdateScrollBars(ListBox& lb) {
  if (!lb.redraw) return;
  if (lb.scrollUpdates > 0) {
    lb.scrollAgain = true;
    return;
  }
  ++lb.scrollUpdates;
  for (int pass = 0; pass < 3; ++pass) {
    lb.scrollAgain = false;
    const UINT keep = (lb.style & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0;
    if (lb.Columns()) {
      // Columns scroll sideways, a column at a time.
      if (lb.style & WS_HSCROLL) {
        SCROLLINFO si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | keep;
        si.nMin = 0;
        si.nMax = std::max(ColumnCount(lb) - 1, 0);
        si.nPage = static_cast<UINT>(VisibleColumns(lb));
        si.nPos = lb.top / Rows(lb);
        SetScrollInfo(lb.hwnd, SB_HORZ, &si, TRUE);
      }
    } else if (lb.style & WS_VSCROLL) {
      const int maxTop = MaxTop(lb);
      SCROLLINFO si;
      si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | keep;
      si.nMin = 0;
      si.nMax = std::max(lb.Count() - 1, 0);
      si.nPage = static_cast<UINT>(maxTop > 0 ? lb.Count() - maxTop : std::max(lb.Count(), 1));
      si.nPos = lb.top;
      SetScrollInfo(lb.hwnd, SB_VERT, &si, TRUE);
    }
    if ((lb.style & WS_HSCROLL) && !lb.Columns()) {
      RECT c = Client(lb);
      SCROLLINFO si;
      si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | keep;
      si.nMin = 0;
      si.nMax = std::max(lb.hExtent - 1, 0);
      si.nPage = static_cast<UINT>(std::max<int>(c.Width(), 1));
      if (lb.hExtent <= c.Width()) si.nPage = static_cast<UINT>(std::max(lb.hExtent, 1));
      si.nPos = lb.hPos;
      SetScrollInfo(lb.hwnd, SB_HORZ, &si, TRUE);
    }
    if (!lb.scrollAgain || !IsWindow(lb.hwnd)) break;
  }
  --lb.scrollUpdates;
}

// Keeps the horizontal offset inside the extent.
void ClampHPos(ListBox& lb) {
  RECT c = Client(lb);
  lb.hPos = std::clamp(lb.hPos, 0, std::max(0, lb.hExtent - static_cast<int>(c.Width())));
}

void SetTop(ListBox& lb, int top, bool updateBars = true) {
  top = std::clamp(top, 0, MaxTop(lb));
  if (lb.Columns()) top -= top % Rows(lb);
  if (top == lb.top) return;
  lb.top = top;
  if (lb.redraw) InvalidateRect(lb.hwnd, nullptr, TRUE);
  if (updateBars) UpdateScrollBars(lb);
}

void EnsureVisible(ListBox& lb, int i) {
  if (!lb.Valid(i)) return;
  if (lb.Columns()) {
    const int rows = Rows(lb), column = i / rows, first = lb.top / rows, shown = VisibleColumns(lb);
    if (column < first)
      SetTop(lb, column * rows);
    else if (column >= first + shown)
      SetTop(lb, (column - shown + 1) * rows);
    return;
  }
  if (i < lb.top) {
    SetTop(lb, i);
    return;
  }
  const int h = Client(lb).Height();
  if (ItemY(lb, i) + lb.HeightOf(i) <= h) return;
  if (!lb.Variable()) {
    SetTop(lb, i - std::max(1, h / std::max(1, lb.itemHeight)) + 1);
    return;
  }
  int y = lb.HeightOf(i), t = i;
  while (t > 0 && y + lb.HeightOf(t - 1) <= h) y += lb.HeightOf(--t);
  SetTop(lb, t);
}

// After items came or went: the top index, the bars and the picture.
void ItemsChanged(ListBox& lb) {
  lb.top = std::clamp(lb.top, 0, MaxTop(lb));
  if (lb.Columns()) lb.top -= lb.top % Rows(lb);
  if (lb.caret >= lb.Count()) lb.caret = std::max(0, lb.Count() - 1);
  UpdateScrollBars(lb);
  if (lb.redraw) InvalidateRect(lb.hwnd, nullptr, TRUE);
}

// ---- Selection ----------------------------------------------------------------------------------

// Moves the selection and the caret (-1 clears the selection) and redraws what changed.
void Select(ListBox& lb, int i) {
  const int oldSel = lb.sel, oldCaret = lb.caret;
  lb.sel = lb.Valid(i) ? i : -1;
  if (lb.Valid(i)) lb.caret = i;
  if (oldCaret != lb.caret && lb.focused) DrawItemNow(lb, oldCaret, ODA_FOCUS);
  if (oldSel != lb.sel) {
    DrawItemNow(lb, oldSel, ODA_SELECT);
    DrawItemNow(lb, lb.sel, ODA_SELECT);
  } else if (oldCaret != lb.caret && lb.focused) {
    DrawItemNow(lb, lb.caret, ODA_FOCUS);
  }
}

// A selection the user made: scrolled into view, and LBN_SELCHANGE for a notifying list.
void UserSelect(ListBox& lb, int i, bool notify) {
  if (!lb.Valid(i) || (lb.style & LBS_NOSEL)) return;
  EnsureVisible(lb, i);
  Select(lb, i);
  if (notify && lb.Notify()) NotifyParent(lb, LBN_SELCHANGE);
}

// ---- Multiple selection -------------------------------------------------------------------------

// Sets each item's selection to want(i) and redraws those that changed.
template <typename Want>
void ApplySelection(ListBox& lb, Want want) {
  for (int i = 0; i < lb.Count(); ++i) {
    const bool on = want(i);
    Item& item = lb.items[static_cast<size_t>(i)];
    if (item.selected == on) continue;
    item.selected = on;
    DrawItemNow(lb, i, ODA_SELECT);
    if (!IsWindow(lb.hwnd) || i >= lb.Count()) return;
  }
}

void SetRange(ListBox& lb, int first, int last, bool on) {
  if (first > last) std::swap(first, last);
  ApplySelection(
      lb, [&](int i) { return i >= first && i <= last ? on : lb.items[static_cast<size_t>(i)].selected; });
}

void MoveCaret(ListBox& lb, int i) {
  if (!lb.Valid(i) || i == lb.caret) return;
  const int old = lb.caret;
  lb.caret = i;
  if (lb.focused) {
    DrawItemNow(lb, old, ODA_FOCUS);
    DrawItemNow(lb, i, ODA_FOCUS);
  }
}

// What the user's click or key does at item i of a multiple-selection list: with
// LBS_MULTIPLESEL a toggle (when `toggle`); with LBS_EXTENDEDSEL Shift selects from the anchor
// (keeping the rest with Ctrl), Ctrl alone toggles, and otherwise the item alone is selected.
void MultiSelectAt(ListBox& lb, int i, bool shift, bool ctrl, bool toggle) {
  if (!lb.Valid(i) || (lb.style & LBS_NOSEL)) return;
  EnsureVisible(lb, i);
  const auto& items = lb.items;
  if (!lb.Extended()) {
    if (toggle) SetRange(lb, i, i, !items[static_cast<size_t>(i)].selected);
  } else if (shift && lb.Valid(lb.anchor)) {
    const int first = std::min(lb.anchor, i), last = std::max(lb.anchor, i);
    ApplySelection(lb, [&](int k) {
      return (k >= first && k <= last) || (ctrl && items[static_cast<size_t>(k)].selected);
    });
  } else if (ctrl) {
    if (toggle) SetRange(lb, i, i, !items[static_cast<size_t>(i)].selected);
    lb.anchor = i;
  } else {
    ApplySelection(lb, [&](int k) { return k == i; });
    lb.anchor = i;
  }
  MoveCaret(lb, i);
}

// Where a held mouse has dragged (or auto-scrolled) to: a single-selection list selects the
// item; an extended one stretches the selection from its anchor; others move the caret.
void TrackToItem(ListBox& lb, int i) {
  if (!lb.Multi())
    Select(lb, i);
  else if (lb.Extended() && lb.Valid(lb.anchor))
    MultiSelectAt(lb, i, true, (GetKeyState(VK_CONTROL) & 0x8000) != 0, false);
  else
    MoveCaret(lb, i);
}

int SelectedCount(const ListBox& lb) {
  return static_cast<int>(
      std::count_if(lb.items.begin(), lb.items.end(), [](const Item& it) { return it.selected; }));
}

// ---- Finding ------------------------------------------------------------------------------------

bool Matches(const ListBox& lb, const Item& item, LPARAM key, bool exact) {
  if (!lb.HasStrings()) return item.data == static_cast<ULONG_PTR>(key);
  auto* s = reinterpret_cast<const Char*>(key);
  if (!s) return false;
  const int n = static_cast<int>(std::char_traits<Char>::length(s));
  const int len = static_cast<int>(item.text.size());
  if (exact)
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, item.text.c_str(), len, s, n) == CSTR_EQUAL;
  if (len < n) return false;
  return n == 0 ||
         CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, item.text.c_str(), n, s, n) == CSTR_EQUAL;
}

// Searches after `start` (-1 or an invalid index: from the first item), wrapping around.
LRESULT FindItem(const ListBox& lb, WPARAM start, LPARAM key, bool exact) {
  const int n = lb.Count();
  if (n == 0) return LB_ERR;
  int from = static_cast<int>(static_cast<intptr_t>(start));
  if (from < 0 || from >= n) from = -1;
  for (int k = 1; k <= n; ++k) {
    const int i = (from + k) % n;
    if (Matches(lb, lb.items[static_cast<size_t>(i)], key, exact)) return i;
  }
  return LB_ERR;
}

// ---- Items --------------------------------------------------------------------------------------

LRESULT Insert(ListBox& lb, int index, LPARAM lParam, bool sorted) {
  if (lb.style & LBS_NODATA) return LB_ERR;
  Item item;
  if (lb.HasStrings()) {
    auto* s = reinterpret_cast<const Char*>(lParam);
    if (s) item.text = s;
  } else {
    item.data = static_cast<ULONG_PTR>(lParam);
  }
  if (sorted) {
    int lo = 0, hi = lb.Count();
    while (lo < hi) {
      const int mid = (lo + hi) / 2;
      if (CompareItems(lb, item, -1, lb.items[static_cast<size_t>(mid)], mid) < 0)
        hi = mid;
      else
        lo = mid + 1;
    }
    index = lo;
  } else if (index < 0) {
    index = lb.Count();
  } else if (index > lb.Count()) {
    return LB_ERR;
  }
  if (lb.Variable()) item.height = MeasureItem(lb, index, item.data);
  if (!IsWindow(lb.hwnd)) return LB_ERR;
  index = std::min(index, lb.Count());  // the owner may have removed items meanwhile
  lb.items.insert(lb.items.begin() + index, std::move(item));
  if (lb.sel >= index) ++lb.sel;
  if (lb.anchor >= index) ++lb.anchor;
  if (lb.caret >= index && lb.Count() > 1) ++lb.caret;
  ItemsChanged(lb);
  return index;
}

LRESULT Delete(ListBox& lb, int index) {
  if (!lb.Valid(index)) return LB_ERR;
  SendDeleteItem(lb, index);
  if (!IsWindow(lb.hwnd) || !lb.Valid(index)) return LB_ERR;
  lb.items.erase(lb.items.begin() + index);
  if (lb.sel == index)
    lb.sel = -1;
  else if (lb.sel > index)
    --lb.sel;
  if (lb.caret > index) --lb.caret;
  if (lb.anchor == index)
    lb.anchor = -1;
  else if (lb.anchor > index)
    --lb.anchor;
  ItemsChanged(lb);
  return lb.Count();
}

void Reset(ListBox& lb) {
  for (int i = 0; i < lb.Count(); ++i) SendDeleteItem(lb, i);
  lb.items.clear();
  lb.sel = -1;
  lb.anchor = -1;
  lb.caret = 0;
  lb.top = 0;
  lb.hPos = 0;
  ItemsChanged(lb);
}

// LB_DIR: the entries of the pattern's folder that the attributes ask for, added as items.
// Names match the pattern without regard to case, as the program's patterns expect.
LRESULT AddFolderEntries(ListBox& lb, WPARAM attributes, const Char* pattern) {
  if (!pattern) return LB_ERR;
  std::string path = StringToUtf8(pattern);
  std::replace(path.begin(), path.end(), '\\', '/');
  const size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  std::string mask = slash == std::string::npos ? path : path.substr(slash + 1);
  if (mask.empty() || mask == "*.*") mask = "*";
  std::error_code error;
  std::vector<std::pair<std::string, bool>> entries;  // name, folder
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    entries.emplace_back(entry.path().filename().string(), entry.is_directory(error));
  }
  if (error) return LB_ERR;
  if (std::filesystem::path(folder).lexically_normal() != "/") entries.emplace_back("..", true);
  std::sort(entries.begin(), entries.end());
  const bool exclusive = (attributes & DDL_EXCLUSIVE) != 0;
  LRESULT last = LB_ERR;
  for (const auto& [name, isFolder] : entries) {
    if (fnmatch(mask.c_str(), name.c_str(), FNM_CASEFOLD) != 0) continue;
    if (isFolder) {
      if (!(attributes & DDL_DIRECTORY)) continue;
    } else {
      const bool hidden = name[0] == '.';
      const auto perms = std::filesystem::status(folder + "/" + name, error).permissions();
      const bool readOnly = (perms & std::filesystem::perms::owner_write) == std::filesystem::perms::none;
      // Hidden and read-only files when their kind is asked for; the others (all of which count
      // as archived) unless only the named kinds are asked for.
      const bool askedHidden = hidden && (attributes & DDL_HIDDEN),
                 askedReadOnly = readOnly && (attributes & DDL_READONLY);
      if ((hidden && !askedHidden) || (readOnly && !askedReadOnly)) continue;
      if (exclusive && !askedHidden && !askedReadOnly && !(attributes & DDL_ARCHIVE)) continue;
    }
    const String item = Utf8ToString(isFolder ? "[" + name + "]" : name);
    const LRESULT at = Insert(lb, -1, reinterpret_cast<LPARAM>(item.c_str()), (lb.style & LBS_SORT) != 0);
    if (at < 0) return at;
    last = at;
  }
  return last;
}

int FontHeight(HFONT font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW tm;
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return std::max<int>(1, tm.tmHeight);
}

// Without LBS_NOINTEGRALHEIGHT the window keeps a height of whole rows (see
// WM_WINDOWPOSCHANGING); this applies it to the current size.
void FitIntegralHeight(const ListBox& lb) {
  if (lb.style & (LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWVARIABLE)) return;
  RECT wr, cr;
  GetWindowRect(lb.hwnd, &wr);
  GetClientRect(lb.hwnd, &cr);
  const int extra = cr.Height() > lb.itemHeight ? cr.Height() % lb.itemHeight : 0;
  if (extra)
    SetWindowPos(lb.hwnd, nullptr, 0, 0, wr.Width(), wr.Height() - extra,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

// ---- Keyboard -----------------------------------------------------------------------------------

void KeyNavigate(ListBox& lb, int vk) {
  const int n = lb.Count();
  if (n == 0) return;
  const int cur = lb.Multi() ? lb.caret : lb.sel >= 0 ? lb.sel : -1;
  const int page = FullyVisibleFrom(lb, lb.top);
  // Left and right go a column sideways in a multi-column list.
  const int across = lb.Columns() ? Rows(lb) : 1;
  int next = cur;
  switch (vk) {
    case VK_UP:
      next = cur < 0 ? lb.caret : cur - 1;
      break;
    case VK_LEFT:
      next = cur < 0 ? lb.caret : cur - across;
      break;
    case VK_DOWN:
      next = cur < 0 ? lb.caret : cur + 1;
      break;
    case VK_RIGHT:
      next = cur < 0 ? lb.caret : cur + across;
      break;
    case VK_SPACE:
      if (!lb.Multi()) return;
      break;
    case VK_PRIOR:
      next = cur < 0 ? lb.top : cur > lb.top ? lb.top : cur - std::max(1, page - 1);
      break;
    case VK_NEXT: {
      const int last = lb.top + page - 1;
      next = cur < 0 ? std::min(last, n - 1) : cur < last ? last : cur + std::max(1, page - 1);
      break;
    }
    case VK_HOME:
      next = 0;
      break;
    case VK_END:
      next = n - 1;
      break;
    default:
      return;
  }
  next = std::clamp(next, 0, n - 1);
  if (lb.Multi()) {
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (vk == VK_SPACE) {
      // Space toggles in a multiple-selection list; in an extended one it selects (Ctrl: toggles).
      MultiSelectAt(lb, next, shift, ctrl, !lb.Extended() || ctrl);
    } else if (!lb.Extended() || (ctrl && !shift)) {
      // The focus moves alone.
      EnsureVisible(lb, next);
      MoveCaret(lb, next);
      return;
    } else {
      if (next == cur && lb.IsSelected(next) && !shift) return;
      MultiSelectAt(lb, next, shift, ctrl, false);
    }
    if (IsWindow(lb.hwnd) && lb.Notify()) NotifyParent(lb, LBN_SELCHANGE);
    return;
  }
  if (next == cur) {
    EnsureVisible(lb, next);
    return;
  }
  UserSelect(lb, next, true);
}

void TypeAhead(ListBox& lb, Char ch) {
  if (!lb.HasStrings() || lb.Count() == 0 || ch < 0x20) return;
  const DWORD now = GetTickCount();
  if (now - lb.typedAt > kTypeAheadMs) lb.typed.clear();
  lb.typedAt = now;
  lb.typed += ch;
  // A fresh first letter moves past the current item; a longer prefix may stay on it.
  const int current = lb.Multi() ? lb.caret : lb.sel;
  const int start = lb.typed.size() == 1 ? current : current - 1;
  const LRESULT found = FindItem(lb, static_cast<WPARAM>(static_cast<intptr_t>(start)),
                                 reinterpret_cast<LPARAM>(lb.typed.c_str()), false);
  if (found == LB_ERR) return;
  if (lb.Multi()) {
    if (found == lb.caret) return;
    if (lb.Extended())
      MultiSelectAt(lb, static_cast<int>(found), false, false, false);
    else
      MoveCaret(lb, static_cast<int>(found));
    EnsureVisible(lb, static_cast<int>(found));
    if (lb.Notify()) NotifyParent(lb, LBN_SELCHANGE);
    return;
  }
  if (found != lb.sel) UserSelect(lb, static_cast<int>(found), true);
}

// ---- Mouse --------------------------------------------------------------------------------------

void TrackTo(ListBox& lb, int x, int y) {
  RECT c = Client(lb);
  if (lb.Columns())
    lb.trackDir = x < c.Left ? -1 : x >= c.Right ? 1 : 0;
  else
    lb.trackDir = y < c.Top ? -1 : y >= c.Bottom ? 1 : 0;
  int i;
  if (lb.trackDir < 0)
    i = lb.top - 1;
  else if (lb.trackDir > 0)
    i = lb.top + FullyVisibleFrom(lb, lb.top);
  else
    i = NearestItem(lb, y, x);
  if (lb.Count() == 0) return;  // emptied while the mouse was held
  i = std::clamp(i, 0, lb.Count() - 1);
  EnsureVisible(lb, i);
  TrackToItem(lb, i);
  if (lb.trackDir != 0)
    SetTimer(lb.hwnd, kAutoScrollTimer, kAutoScrollDelay, nullptr);
  else
    KillTimer(lb.hwnd, kAutoScrollTimer);
}

void EndTracking(ListBox& lb, bool cancelled) {
  if (!lb.tracking) return;
  lb.tracking = false;
  lb.trackDir = 0;
  KillTimer(lb.hwnd, kAutoScrollTimer);
  if (GetCapture() == lb.hwnd) ReleaseCapture();
  if (!IsWindow(lb.hwnd)) return;
  if (lb.Multi()) {
    if (lb.Notify()) NotifyParent(lb, cancelled ? LBN_SELCANCEL : LBN_SELCHANGE);
  } else if (cancelled) {
    if (lb.sel != lb.trackStartSel) {
      Select(lb, lb.trackStartSel);
      EnsureVisible(lb, lb.sel);
    }
    if (lb.Notify()) NotifyParent(lb, LBN_SELCANCEL);
  } else if (lb.sel >= 0 && lb.Notify()) {
    NotifyParent(lb, LBN_SELCHANGE);
  }
}

LRESULT ButtonDown(ListBox& lb, WPARAM keys, LPARAM lParam, bool dbl) {
  if (!lb.focused) {
    SetFocus(lb.hwnd);
    if (!IsWindow(lb.hwnd)) return 0;
  }
  if (lb.Count() == 0 || (lb.style & LBS_NOSEL)) return 0;
  lb.trackStartSel = lb.sel;
  lb.tracking = true;
  SetCapture(lb.hwnd);
  if (lb.Multi()) {
    const int i = NearestItem(lb, GET_Y_LPARAM(lParam), GET_X_LPARAM(lParam));
    const bool shift = (keys & MK_SHIFT) != 0, ctrl = (keys & MK_CONTROL) != 0;
    // A double click repeats nothing: its first click made the selection.
    if (!dbl) MultiSelectAt(lb, i, shift, ctrl, !lb.Extended() || ctrl);
    if (dbl && lb.Notify()) NotifyParent(lb, LBN_DBLCLK);
    return 0;
  }
  TrackTo(lb, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  if (dbl && lb.Notify()) NotifyParent(lb, LBN_DBLCLK);
  return 0;
}

// ---- Dispatch -----------------------------------------------------------------------------------

// The thumb position of a scroll message: its 16 bits, or the bar's 32-bit tracking
// position when the range needs more.
int ThumbPos(const ListBox& lb, int bar, WPARAM wParam) {
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_TRACKPOS;
  if (GetScrollInfo(lb.hwnd, bar, &si) && si.nMax > 0xFFFF) return si.nTrackPos;
  return HIWORD(wParam);
}

// A multi-column list scrolls sideways by columns.
LRESULT ScrollColumns(ListBox& lb, WPARAM wParam) {
  const int rows = Rows(lb), page = VisibleColumns(lb);
  int column = lb.top / rows;
  switch (LOWORD(wParam)) {
    case SB_LINELEFT:
      --column;
      break;
    case SB_LINERIGHT:
      ++column;
      break;
    case SB_PAGELEFT:
      column -= page;
      break;
    case SB_PAGERIGHT:
      column += page;
      break;
    case SB_LEFT:
      column = 0;
      break;
    case SB_RIGHT:
      column = ColumnCount(lb);
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      column = ThumbPos(lb, SB_HORZ, wParam);
      break;
    default:
      return 0;
  }
  SetTop(lb, std::max(column, 0) * rows);
  return 0;
}

LRESULT Scroll(ListBox& lb, UINT msg, WPARAM wParam) {
  const int code = LOWORD(wParam);
  if (lb.Columns()) return msg == WM_HSCROLL ? ScrollColumns(lb, wParam) : 0;
  if (msg == WM_VSCROLL) {
    const int page = std::max(1, FullyVisibleFrom(lb, lb.top) - 1);
    int top = lb.top;
    switch (code) {
      case SB_LINEUP:
        --top;
        break;
      case SB_LINEDOWN:
        ++top;
        break;
      case SB_PAGEUP:
        top -= page;
        break;
      case SB_PAGEDOWN:
        top += page;
        break;
      case SB_TOP:
        top = 0;
        break;
      case SB_BOTTOM:
        top = lb.Count();
        break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION:
        top = ThumbPos(lb, SB_VERT, wParam);
        break;
      default:
        return 0;
    }
    SetTop(lb, top);
    return 0;
  }
  RECT c = Client(lb);
  const int line = std::max(1, FontHeight(lb.font) / 2);
  int pos = lb.hPos;
  switch (code) {
    case SB_LINELEFT:
      pos -= line;
      break;
    case SB_LINERIGHT:
      pos += line;
      break;
    case SB_PAGELEFT:
      pos -= c.Width();
      break;
    case SB_PAGERIGHT:
      pos += c.Width();
      break;
    case SB_LEFT:
      pos = 0;
      break;
    case SB_RIGHT:
      pos = lb.hExtent;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      pos = ThumbPos(lb, SB_HORZ, wParam);
      break;
    default:
      return 0;
  }
  const int old = lb.hPos;
  lb.hPos = pos;
  ClampHPos(lb);
  if (old != lb.hPos) {
    InvalidateRect(lb.hwnd, nullptr, TRUE);
    UpdateScrollBars(lb);
  }
  return 0;
}

LRESULT Wheel(ListBox& lb, WPARAM wParam) {
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  if (lines == 0) return 0;
  lb.wheelRest += GET_WHEEL_DELTA_WPARAM(wParam);
  const int page = FullyVisibleFrom(lb, lb.top);
  const int perNotch = lines == WHEEL_PAGESCROLL ? page : static_cast<int>(std::min<UINT>(lines, page));
  const int steps = lb.wheelRest * perNotch / WHEEL_DELTA;
  if (steps == 0) return 0;
  lb.wheelRest -= steps * WHEEL_DELTA / perNotch;
  SetTop(lb, lb.top - steps * (lb.Columns() ? Rows(lb) : 1));
  return 0;
}

// Creation, font, size, painting and what the dialog manager asks.
std::optional<LRESULT> OnWindowMessage(ListBox& lb, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      if (lb.style & LBS_OWNERDRAWFIXED) lb.itemHeight = MeasureItem(lb, 0, 0);
      if (lb.style & LBS_NOREDRAW) lb.redraw = false;
      UpdateScrollBars(lb);
      FitIntegralHeight(lb);
      return 0;
    case WM_SETCURSOR: {
      const LRESULT r = DefWindowProcW(hwnd, msg, wParam, lParam);
      if (r || reinterpret_cast<HWND>(wParam) != hwnd || static_cast<int16_t>(LOWORD(lParam)) != HTCLIENT)
        return r;
      SetCursor(LoadCursorW(nullptr, IDC_ARROW));
      return TRUE;
    }
    case WM_DESTROY:
      EndTracking(lb, false);
      for (int i = 0; i < lb.Count(); ++i) SendDeleteItem(lb, i);
      lb.items.clear();
      return 0;
    case WM_SETFONT:
      lb.font = reinterpret_cast<HFONT>(wParam);
      if (!lb.OwnerDraw()) lb.itemHeight = FontHeight(lb.font);
      FitIntegralHeight(lb);
      ItemsChanged(lb);
      if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(lb.font);
    case WM_SIZE:
      lb.top = std::clamp(lb.top, 0, MaxTop(lb));
      if (lb.Columns()) lb.top -= lb.top % Rows(lb);
      ClampHPos(lb);
      UpdateScrollBars(lb);
      if (lb.redraw) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_WINDOWPOSCHANGING: {
      auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
      if (wp && !(wp->flags & SWP_NOSIZE) && !(lb.style & (LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWVARIABLE))) {
        RECT wr, cr;
        GetWindowRect(hwnd, &wr);
        GetClientRect(hwnd, &cr);
        const int nc = wr.Height() - cr.Height();
        const int client = wp->cy - nc;
        if (client > lb.itemHeight) wp->cy -= client % lb.itemHeight;
      }
      return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      RECT c = Client(lb);
      const int saved = SaveDC(dc);
      HBRUSH brush = PrepareDC(lb, dc);
      RestoreDC(dc, saved);
      FillRect(dc, &c, brush);
      return 1;
    }
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      if (wParam) {
        PaintAll(lb, reinterpret_cast<HDC>(wParam));
        return 0;
      }
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (dc && lb.redraw) PaintAll(lb, dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_SETREDRAW:
      lb.redraw = wParam != 0;
      if (lb.redraw) {
        UpdateScrollBars(lb);
        InvalidateRect(hwnd, nullptr, TRUE);
      }
      return 0;
    case WM_ENABLE:
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default:
      return std::nullopt;
  }
}

// Focus, keys, the mouse, the wheel and the scroll bars.
std::optional<LRESULT> OnInput(ListBox& lb, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETFOCUS:
      lb.focused = true;
      DrawItemNow(lb, lb.caret, ODA_FOCUS);
      NotifyParent(lb, LBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      EndTracking(lb, true);
      if (!IsWindow(hwnd)) return 0;
      lb.focused = false;
      DrawItemNow(lb, lb.caret, ODA_FOCUS);
      NotifyParent(lb, LBN_KILLFOCUS);
      return 0;
    case WM_KEYDOWN: {
      int vk = static_cast<int>(wParam);
      if ((lb.style & LBS_WANTKEYBOARDINPUT) && Owner(lb)) {
        const LRESULT r =
            SendMessageW(Owner(lb), WM_VKEYTOITEM, MAKEWPARAM(vk, lb.caret), reinterpret_cast<LPARAM>(hwnd));
        if (!IsWindow(hwnd) || r == -2) return 0;
        if (r >= 0) {
          UserSelect(lb, static_cast<int>(r), true);
          return 0;
        }
      }
      KeyNavigate(lb, vk);
      return 0;
    }
    case WM_CHAR: {
      const Char ch = static_cast<Char>(wParam);
      if ((lb.style & LBS_WANTKEYBOARDINPUT) && !lb.HasStrings() && Owner(lb)) {
        const LRESULT r =
            SendMessageW(Owner(lb), WM_CHARTOITEM, MAKEWPARAM(ch, lb.caret), reinterpret_cast<LPARAM>(hwnd));
        if (IsWindow(hwnd) && r >= 0) UserSelect(lb, static_cast<int>(r), true);
        return 0;
      }
      TypeAhead(lb, ch);
      return 0;
    }
    case WM_LBUTTONDOWN:
      return ButtonDown(lb, wParam, lParam, false);
    case WM_LBUTTONDBLCLK:
      return ButtonDown(lb, wParam, lParam, true);
    case WM_MOUSEMOVE:
      if (lb.tracking) TrackTo(lb, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
      EndTracking(lb, false);
      return 0;
    case WM_TIMER:
      if (wParam == kAutoScrollTimer) {
        if (!lb.tracking || lb.trackDir == 0) {
          KillTimer(hwnd, kAutoScrollTimer);
          return 0;
        }
        const int from = lb.Multi() ? lb.caret : lb.sel;
        const int i =
            std::clamp(from + lb.trackDir * (lb.Columns() ? Rows(lb) : 1), 0, std::max(0, lb.Count() - 1));
        EnsureVisible(lb, i);
        TrackToItem(lb, i);
        return 0;
      }
      return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_CAPTURECHANGED:
      if (lb.tracking && reinterpret_cast<HWND>(lParam) != hwnd) EndTracking(lb, true);
      return 0;
    case WM_CANCELMODE:
      EndTracking(lb, true);
      return 0;
    case WM_MOUSEWHEEL:
      return Wheel(lb, wParam);
    case WM_VSCROLL:
    case WM_HSCROLL:
      return Scroll(lb, msg, wParam);
    default:
      return std::nullopt;
  }
}

// Adding, removing, reading and finding items.
std::optional<LRESULT> OnItems(ListBox& lb, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case LB_ADDSTRING:
      return Insert(lb, -1, lParam, (lb.style & LBS_SORT) != 0);
    case LB_INSERTSTRING:
      return Insert(lb, static_cast<int>(static_cast<intptr_t>(wParam)), lParam, false);
    case LB_DELETESTRING:
      return Delete(lb, static_cast<int>(static_cast<intptr_t>(wParam)));
    case LB_RESETCONTENT:
      Reset(lb);
      return 0;
    case LB_GETCOUNT:
      return lb.Count();
    case LB_GETTEXT: {
      const int i = static_cast<int>(static_cast<intptr_t>(wParam));
      if (!lb.Valid(i)) return LB_ERR;
      const Item& item = lb.items[static_cast<size_t>(i)];
      if (!lb.HasStrings()) {
        if (lParam) *reinterpret_cast<ULONG_PTR*>(lParam) = item.data;
        return sizeof(ULONG_PTR);
      }
      if (auto* buffer = reinterpret_cast<Char*>(lParam)) {
        std::copy(item.text.begin(), item.text.end(), buffer);
        buffer[item.text.size()] = 0;
      }
      return static_cast<LRESULT>(item.text.size());
    }
    case LB_GETTEXTLEN: {
      const int i = static_cast<int>(static_cast<intptr_t>(wParam));
      if (!lb.Valid(i)) return LB_ERR;
      return lb.HasStrings() ? static_cast<LRESULT>(lb.items[static_cast<size_t>(i)].text.size())
                             : static_cast<LRESULT>(sizeof(ULONG_PTR));
    }
    case LB_SETITEMDATA: {
      const int i = static_cast<int>(static_cast<intptr_t>(wParam));
      if (!lb.Valid(i)) return LB_ERR;
      lb.items[static_cast<size_t>(i)].data = static_cast<ULONG_PTR>(lParam);
      return LB_OKAY;
    }
    case LB_GETITEMDATA: {
      const int i = static_cast<int>(static_cast<intptr_t>(wParam));
      if (!lb.Valid(i)) return LB_ERR;
      return static_cast<LRESULT>(lb.items[static_cast<size_t>(i)].data);
    }
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
      return FindItem(lb, wParam, lParam, msg == LB_FINDSTRINGEXACT);
    case LB_INITSTORAGE:
      lb.items.reserve(lb.items.size() + std::min<WPARAM>(wParam, 1u << 20));
      return static_cast<LRESULT>(lb.items.capacity());
    case LB_SETCOUNT: {
      if (!(lb.style & LBS_NODATA)) return LB_ERR;
      const auto n = static_cast<intptr_t>(wParam);
      if (n < 0 || n > 0x7FFFFFF) return LB_ERRSPACE;
      lb.items.resize(static_cast<size_t>(n));
      if (lb.sel >= n) lb.sel = -1;
      ItemsChanged(lb);
      return LB_OKAY;
    }
    case LB_SETLOCALE:
    case LB_GETLOCALE:
      return LOCALE_USER_DEFAULT;
    case LB_SETTABSTOPS:
      return TRUE;
    case LB_DIR:
      return AddFolderEntries(lb, wParam, reinterpret_cast<const Char*>(lParam));
    default:
      return std::nullopt;
  }
}

// The selection, the caret, scrolling and item geometry.
std::optional<LRESULT> OnSelectionAndGeometry(ListBox& lb, HWND hwnd, UINT msg, WPARAM wParam,
                                              LPARAM lParam) {
  switch (msg) {
    case LB_SETCURSEL: {
      const int i = static_cast<int>(static_cast<intptr_t>(wParam));
      if (lb.Multi()) return LB_ERR;  // LB_SETSEL selects in these
      if (i == -1) {
        Select(lb, -1);
        return LB_ERR;
      }
      if (!lb.Valid(i)) return LB_ERR;
      EnsureVisible(lb, i);
      Select(lb, i);
      return i;
    }
    case LB_GETCURSEL:
      // A multiple-selection list answers with its focused item.
      if (lb.Multi()) return lb.Count() ? lb.caret : LB_ERR;
      return lb.sel >= 0 ? lb.sel : LB_ERR;
    case LB_GETSEL: {
      const int i = static_cast<int>(static_cast<intptr_t>(wParam));
      if (!lb.Valid(i)) return LB_ERR;
      return lb.IsSelected(i) ? 1 : 0;
    }
    case LB_SETSEL: {
      if (!lb.Multi()) return LB_ERR;
      const int i = static_cast<int>(static_cast<intptr_t>(lParam));
      if (i == -1) {
        SetRange(lb, 0, lb.Count() - 1, wParam != 0);
        return LB_OKAY;
      }
      if (!lb.Valid(i)) return LB_ERR;
      SetRange(lb, i, i, wParam != 0);
      if (IsWindow(hwnd) && wParam) {
        MoveCaret(lb, i);
        lb.anchor = i;
      }
      return LB_OKAY;
    }
    case LB_GETSELCOUNT:
      return lb.Multi() ? SelectedCount(lb) : LB_ERR;
    case LB_GETSELITEMS: {
      if (!lb.Multi()) return LB_ERR;
      auto* out = reinterpret_cast<int*>(lParam);
      const auto room = static_cast<intptr_t>(wParam);
      int n = 0;
      for (int i = 0; i < lb.Count() && n < room && out; ++i)
        if (lb.items[static_cast<size_t>(i)].selected) out[n++] = i;
      return n;
    }
    case LB_SELITEMRANGE: {
      if (!lb.Multi()) return LB_ERR;
      const int first = LOWORD(lParam), last = HIWORD(lParam);
      if (lb.Count() == 0) return LB_OKAY;
      SetRange(lb, std::min(first, lb.Count() - 1), std::min(last, lb.Count() - 1), wParam != 0);
      return LB_OKAY;
    }
    case LB_SELITEMRANGEEX: {
      // first <= last selects the range, first > last clears it.
      if (!lb.Multi()) return LB_ERR;
      const int first = static_cast<int>(static_cast<intptr_t>(wParam));
      const int last = static_cast<int>(lParam);
      if (lb.Count() == 0 || first < 0 || last < 0) return LB_ERR;
      SetRange(lb, std::min(first, lb.Count() - 1), std::min(last, lb.Count() - 1), first <= last);
      return LB_OKAY;
    }
    case LB_SETCARETINDEX: {
      const int i = static_cast<int>(static_cast<intptr_t>(wParam));
      if (!lb.Valid(i)) return LB_ERR;
      const int old = lb.caret;
      lb.caret = i;
      if (lb.focused) {
        DrawItemNow(lb, old, ODA_FOCUS);
        DrawItemNow(lb, i, ODA_FOCUS);
      }
      EnsureVisible(lb, i);
      return LB_OKAY;
    }
    case LB_GETCARETINDEX:
      return lb.Count() ? lb.caret : 0;
    case LB_SETANCHORINDEX: {
      const int i = static_cast<int>(static_cast<intptr_t>(wParam));
      if (!lb.Valid(i)) return LB_ERR;
      lb.anchor = i;
      return LB_OKAY;
    }
    case LB_GETANCHORINDEX:
      return lb.anchor;
    case LB_SETTOPINDEX: {
      const int i = static_cast<int>(static_cast<intptr_t>(wParam));
      if (i < 0 || (i > 0 && i >= lb.Count())) return LB_ERR;
      SetTop(lb, i);
      return LB_OKAY;
    }
    case LB_GETTOPINDEX:
      return lb.top;
    case LB_GETITEMRECT: {
      const int i = static_cast<int>(static_cast<intptr_t>(wParam));
      if (!lb.Valid(i) && !(i == 0 && lb.Count() == 0)) return LB_ERR;
      if (auto* r = reinterpret_cast<RECT*>(lParam)) {
        *r = ItemRect(lb, i);
        if (!lb.Columns()) {
          RECT c = Client(lb);
          r->Left = c.Left;
          r->Right = c.Right;
        }
      }
      return 1;
    }
    case LB_GETITEMHEIGHT: {
      const int i = static_cast<int>(static_cast<intptr_t>(wParam));
      if (lb.Variable()) return lb.Valid(i) ? lb.HeightOf(i) : LB_ERR;
      return lb.itemHeight;
    }
    case LB_SETITEMHEIGHT: {
      const int h = LOWORD(lParam);
      if (h <= 0 || h > 255) return LB_ERR;
      const int i = static_cast<int>(static_cast<intptr_t>(wParam));
      if (lb.Variable()) {
        if (!lb.Valid(i)) return LB_ERR;
        lb.items[static_cast<size_t>(i)].height = h;
      } else {
        lb.itemHeight = h;
      }
      ItemsChanged(lb);
      return LB_OKAY;
    }
    case LB_ITEMFROMPOINT: {
      const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      RECT c = Client(lb);
      const bool outside = pt.X < c.Left || pt.X >= c.Right || pt.Y < c.Top || pt.Y >= c.Bottom;
      int i = lb.Count() ? NearestItem(lb, pt.Y, pt.X) : 0;
      if (pt.Y < 0) i = lb.top;
      return MAKELRESULT(std::max(i, 0), outside ? 1 : 0);
    }
    case LB_SELECTSTRING: {
      const LRESULT i = FindItem(lb, wParam, lParam, false);
      if (i == LB_ERR) return LB_ERR;
      EnsureVisible(lb, static_cast<int>(i));
      Select(lb, static_cast<int>(i));
      return i;
    }
    case LB_SETHORIZONTALEXTENT:
      lb.hExtent = static_cast<int>(std::min<WPARAM>(wParam, 0x7FFFFFFF));
      ClampHPos(lb);
      UpdateScrollBars(lb);
      if (lb.redraw) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case LB_GETHORIZONTALEXTENT:
      return lb.hExtent;
    case LB_SETCOLUMNWIDTH:
      if (!lb.Columns()) return LB_ERR;
      lb.columnWidth = static_cast<int>(std::clamp<WPARAM>(wParam, 1, 32767));
      ItemsChanged(lb);
      return LB_OKAY;
    default:
      return std::nullopt;
  }
}
LRESULT Handle(const ListBoxPtr& p, UINT msg, WPARAM wParam, LPARAM lParam) {
  ListBox& lb = *p;
  HWND hwnd = lb.hwnd;
  for (auto handler : {OnWindowMessage, OnInput, OnItems, OnSelectionAndGeometry})
    if (std::optional<LRESULT> result = handler(lb, hwnd, msg, wParam, lParam)) return *result;
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

LRESULT ListBoxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto lb = std::make_shared<ListBox>();
    lb->hwnd = hwnd;
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    lb->style = cs ? static_cast<DWORD>(cs->style) : static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
    // Owner-draw variable lists measure each item; fixed ones ask once; both need a height first.
    lb->itemHeight = FontHeight(nullptr);
    // Extended selection wins over multiple selection when both are asked for.
    if (lb->style & LBS_EXTENDEDSEL) lb->style &= ~LBS_MULTIPLESEL;
    if (lb->style & LBS_NODATA) lb->style &= ~LBS_SORT;
    {
      std::lock_guard g(ListBoxTableLock());
      ListBoxTable()[hwnd] = lb;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  if (msg == WM_NCDESTROY) {
    {
      std::lock_guard g(ListBoxTableLock());
      ListBoxTable().erase(hwnd);
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  ListBoxPtr lb = Find(hwnd);
  if (!lb) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return Handle(lb, msg, wParam, lParam);
}

}  // namespace qd::user
