// Window classes, the window table, creation and destruction, tree queries, window longs,
// properties and text.
#include <algorithm>
#include <cstring>

#include "platform/base/strings.h"
#include "platform/os/user_internal.h"
#include "platform/os/user_listbox.h"

namespace qd::user {

bool Window::IsTopLevel() const {
  return parent && parent->kind == WindowKind::Desktop;
}

namespace {

struct Table {
  std::recursive_mutex mutex;
  std::unordered_map<HWND, WindowPtr> windows;
  std::vector<HWND> order;  // creation order
  uintptr_t next = 0x20000;
  WindowPtr desktop;
  WindowPtr messageRoot;
  std::vector<std::shared_ptr<WndClass>> classes;
};

Table& T() {
  static Table* table = new Table;  // lives for the whole process: windows may outlive statics
  return *table;
}

HWND NewHandle(Table& t) {
  HWND h = reinterpret_cast<HWND>(t.next);
  t.next += 4;
  return h;
}

void EnsureRoots(Table& t) {
  if (t.desktop) return;
  auto desk = std::make_shared<Window>();
  desk->kind = WindowKind::Desktop;
  desk->handle = reinterpret_cast<HWND>(uintptr_t{0x10010});
  desk->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  desk->window = desk->client = {0, 0, 1920, 1080};
  desk->text = u"";
  auto root = std::make_shared<Window>();
  root->kind = WindowKind::MessageRoot;
  root->handle = reinterpret_cast<HWND>(uintptr_t{0x10014});
  root->style = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  t.desktop = desk;
  t.messageRoot = root;
  t.windows[desk->handle] = desk;
  t.windows[root->handle] = root;
}

// ---- Threads --------------------------------------------------------------------------------
struct ThreadRegistry {
  std::mutex mutex;
  std::unordered_map<DWORD, ThreadPtr> threads;
};
ThreadRegistry& Threads() {
  static ThreadRegistry* r = new ThreadRegistry;
  return *r;
}

struct ThreadHolder {
  ThreadPtr ts;
  ~ThreadHolder() {
    if (!ts) return;
    {
      std::lock_guard lock(ts->mutex);
      ts->alive = false;
    }
    std::lock_guard lock(Threads().mutex);
    Threads().threads.erase(ts->id);
  }
};
thread_local ThreadHolder t_holder;

}  // namespace

ThreadPtr CurrentThreadPtr() {
  if (!t_holder.ts) {
    auto ts = std::make_shared<ThreadState>();
    ts->id = GetCurrentThreadId();
    {
      std::lock_guard lock(Threads().mutex);
      Threads().threads[ts->id] = ts;
    }
    t_holder.ts = ts;
  }
  return t_holder.ts;
}

ThreadState& CurrentThread() {
  return *CurrentThreadPtr();
}

ThreadPtr ThreadById(DWORD id) {
  if (id == GetCurrentThreadId()) return CurrentThreadPtr();
  std::lock_guard lock(Threads().mutex);
  auto it = Threads().threads.find(id);
  return it == Threads().threads.end() ? nullptr : it->second;
}

std::recursive_mutex& WmMutex() {
  return T().mutex;
}

WindowPtr Lookup(HWND hwnd) {
  if (!hwnd) return nullptr;
  auto& t = T();
  std::lock_guard lock(t.mutex);
  EnsureRoots(t);
  auto it = t.windows.find(hwnd);
  if (it == t.windows.end() || it->second->destroyed) return nullptr;
  return it->second;
}

WindowPtr Checked(HWND hwnd) {
  WindowPtr w = Lookup(hwnd);
  if (!w)
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  else
    CheckWindowThread(*w);
  return w;
}

Window* Desktop() {
  auto& t = T();
  std::lock_guard lock(t.mutex);
  EnsureRoots(t);
  return t.desktop.get();
}

Window* MessageRoot() {
  auto& t = T();
  std::lock_guard lock(t.mutex);
  EnsureRoots(t);
  return t.messageRoot.get();
}

std::vector<WindowPtr> AllWindows() {
  auto& t = T();
  std::lock_guard lock(t.mutex);
  std::vector<WindowPtr> out;
  for (HWND h : t.order)
    if (auto it = t.windows.find(h); it != t.windows.end() && !it->second->destroyed)
      out.push_back(it->second);
  return out;
}

std::vector<WindowPtr> TopLevelWindows() {
  auto& t = T();
  std::lock_guard lock(t.mutex);
  EnsureRoots(t);
  std::vector<WindowPtr> out;
  for (Window* c : t.desktop->children) out.push_back(t.windows[c->handle]);
  return out;
}

std::vector<WindowPtr> MessageOnlyWindows() {
  auto& t = T();
  std::lock_guard lock(t.mutex);
  EnsureRoots(t);
  std::vector<WindowPtr> out;
  for (Window* c : t.messageRoot->children) out.push_back(t.windows[c->handle]);
  return out;
}

Window* TopLevelOf(Window* w) {
  while (w && w->parent && w->parent->kind == WindowKind::Normal) w = w->parent;
  return w;
}

namespace {

// ---- Classes ----------------------------------------------------------------------------------
std::shared_ptr<WndClass> FindClassLocked(Table& t, LPCWSTR name) {
  if (!name) return nullptr;
  if (IS_INTRESOURCE(name)) {
    ATOM atom = static_cast<ATOM>(reinterpret_cast<uintptr_t>(name));
    for (auto& c : t.classes)
      if (c->atom == atom) return c;
    return nullptr;
  }
  for (auto& c : t.classes)
    if (SameText(c->name, name)) return c;
  return nullptr;
}

LRESULT StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCHITTEST) {
    LRESULT hit = DefWindowProcW(hwnd, msg, wParam, lParam);
    if (hit == HTCLIENT && !(GetWindowLongW(hwnd, GWL_STYLE) & SS_NOTIFY)) return HTTRANSPARENT;
    return hit;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void EnsureSystemClasses(Table& t) {
  static bool done = false;
  if (done) return;
  done = true;
  auto add = [&](const char16_t* name, WNDPROC proc, UINT style) {
    auto c = std::make_shared<WndClass>();
    c->name = name;
    c->atom = GlobalAddAtomW(name);
    c->proc = proc;
    c->style = style;
    c->system = true;
    t.classes.push_back(c);
  };
  add(u"STATIC", &StaticWndProc, CS_DBLCLKS | CS_PARENTDC);
  add(u"EDIT", &EditWndProc, CS_DBLCLKS);
  add(u"LISTBOX", &ListBoxWndProc, CS_DBLCLKS);
}

ATOM RegisterClassImpl(const WNDCLASSEXW& wc) {
  if (!wc.lpszClassName || !wc.lpfnWndProc || wc.cbWndExtra < 0 || wc.cbClsExtra < 0 ||
      wc.cbWndExtra > 40960) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto& t = T();
  std::lock_guard lock(t.mutex);
  EnsureSystemClasses(t);
  if (auto existing = FindClassLocked(t, wc.lpszClassName)) {
    if (!existing->system) {
      SetLastError(ERROR_CLASS_ALREADY_EXISTS);
      return 0;
    }
    t.classes.erase(
        std::find(t.classes.begin(), t.classes.end(), existing));  // an own class supersedes a system one
  }
  auto c = std::make_shared<WndClass>();
  if (IS_INTRESOURCE(wc.lpszClassName)) {
    c->atom = static_cast<ATOM>(reinterpret_cast<uintptr_t>(wc.lpszClassName));
    c->name = u"#" + IntToStr(c->atom);
  } else {
    c->name = wc.lpszClassName;
    c->atom = GlobalAddAtomW(wc.lpszClassName);
  }
  c->style = wc.style;
  c->proc = wc.lpfnWndProc;
  c->cbClsExtra = wc.cbClsExtra;
  c->cbWndExtra = wc.cbWndExtra;
  c->instance = wc.hInstance;
  c->icon = wc.hIcon;
  c->iconSmall = wc.hIconSm;
  c->cursor = wc.hCursor;
  c->background = wc.hbrBackground;
  if (wc.lpszMenuName && !IS_INTRESOURCE(wc.lpszMenuName)) c->menuName = wc.lpszMenuName;
  c->extra.assign(static_cast<size_t>(wc.cbClsExtra), 0);
  t.classes.push_back(c);
  return c->atom;
}

}  // namespace

std::shared_ptr<WndClass> FindClass(LPCWSTR name) {
  auto& t = T();
  std::lock_guard lock(t.mutex);
  EnsureSystemClasses(t);
  return FindClassLocked(t, name);
}

// ---- Tree helpers --------------------------------------------------------------------------------
void UnlinkFromParent(Window* w) {
  if (!w->parent) return;
  auto& ch = w->parent->children;
  ch.erase(std::remove(ch.begin(), ch.end(), w), ch.end());
}

void ZOrderInsert(Window* w, HWND insertAfter) {
  Window* p = w->parent;
  if (!p) return;
  auto& ch = p->children;
  ch.erase(std::remove(ch.begin(), ch.end(), w), ch.end());
  const bool topLevel = p->kind == WindowKind::Desktop;
  const bool topmost = topLevel && (w->exStyle & WS_EX_TOPMOST);
  // The band of topmost windows comes first among top-level windows.
  auto bandBegin = ch.begin();
  auto bandEnd = ch.end();
  if (topLevel) {
    auto firstNormal =
        std::find_if(ch.begin(), ch.end(), [](Window* c) { return !(c->exStyle & WS_EX_TOPMOST); });
    if (topmost)
      bandEnd = firstNormal;
    else
      bandBegin = firstNormal;
  }
  auto pos = bandBegin;
  if (insertAfter == HWND_BOTTOM) {
    pos = bandEnd;
  } else if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
    pos = bandBegin;
  } else {
    auto it = std::find_if(ch.begin(), ch.end(), [&](Window* c) { return c->handle == insertAfter; });
    if (it != ch.end()) {
      pos = it + 1;
      if (pos < bandBegin) pos = bandBegin;
      if (pos > bandEnd) pos = bandEnd;
    }
  }
  ch.insert(pos, w);
}

namespace {

void SendParentNotify(Window* w, UINT event) {
  if (!w->IsChild() || (w->exStyle & WS_EX_NOPARENTNOTIFY)) return;
  WPARAM wp = MAKEWPARAM(static_cast<int>(event), static_cast<int>(w->id));
  HWND self = w->handle;
  for (Window* p = w->parent; p && p->kind == WindowKind::Normal; p = p->parent) {
    HWND ph = p->handle;
    Send(ph, WM_PARENTNOTIFY, wp, reinterpret_cast<LPARAM>(self));
    WindowPtr pw = Lookup(ph);
    if (!pw || !pw->IsChild() || (pw->exStyle & WS_EX_NOPARENTNOTIFY)) break;
  }
}

void FinalizeWindow(Window* w) {
  // Called after WM_NCDESTROY: the handle dies.
  ThreadState& ts = *w->thread;
  KillWindowTimers(ts, w->handle);
  for (auto& [atom, data] : w->props)
    if (atom >= 0xC000) GlobalDeleteAtom(atom);
  w->props.clear();
  auto& in = Input();
  if (in.capture == w->handle) in.capture = nullptr;
  if (in.focus == w->handle) in.focus = nullptr;
  if (in.active == w->handle) in.active = nullptr;
  if (in.foreground == w->handle) in.foreground = nullptr;
  if (ts.caret.hwnd == w->handle) ts.caret = Caret{};
  const bool top = w->IsTopLevel();
  if (top) NotifyDestroyed(w);
  auto& t = T();
  std::lock_guard lock(t.mutex);
  for (Window* c : std::vector<Window*>(w->children)) c->parent = nullptr;
  w->children.clear();
  UnlinkFromParent(w);
  // Owned windows lose their owner (they were destroyed first; this covers failures).
  for (auto& [h, other] : t.windows)
    if (other->owner == w) other->owner = nullptr;
  if (w->cls) --w->cls->windows;
  w->destroyed = true;
  w->surface.reset();
  w->windowRegion.reset();
  t.windows.erase(w->handle);
  t.order.erase(std::remove(t.order.begin(), t.order.end(), w->handle), t.order.end());
}

void SendDestroyTree(HWND hwnd) {
  WindowPtr w = Lookup(hwnd);
  if (!w) return;
  w->destroying = true;
  Send(hwnd, WM_DESTROY, 0, 0);
  if (!(w = Lookup(hwnd))) return;
  std::vector<HWND> kids;
  for (Window* c : w->children) kids.push_back(c->handle);
  for (HWND c : kids) SendDestroyTree(c);
}

void NcDestroyTree(HWND hwnd) {
  WindowPtr w = Lookup(hwnd);
  if (!w) return;
  std::vector<HWND> kids;
  for (Window* c : w->children) kids.push_back(c->handle);
  for (HWND c : kids) NcDestroyTree(c);
  if (!(w = Lookup(hwnd))) return;
  Send(hwnd, WM_NCDESTROY, 0, 0);
  if (Lookup(hwnd)) FinalizeWindow(w.get());
}

UINT InitialDpi(Window* w) {
  Window* top = TopLevelOf(w);
  if (top && top != w) return top->dpi;
  return WindowDpi(w);
}

RECT DefaultTopLevelRect(int x, int y, int cx, int cy) {
  RECT work{};
  SystemParametersInfoW(0x0030 /*SPI_GETWORKAREA*/, 0, &work, 0);
  static int cascade = 0;
  if (x == CW_USEDEFAULT) {
    int step = (cascade++ % 8) * 26;
    x = work.Left + 26 + step;
    y = work.Top + 26 + step;
  }
  if (cx == CW_USEDEFAULT) {
    cx = work.Width() * 3 / 4;
    cy = work.Height() * 3 / 4;
  }
  return {x, y, x + cx, y + cy};
}

// The parent of a new window (the message-only root, a window, or the desktop) and, for a
// top-level window given a parent, its owner: that window's top-level window. False, with the
// error set, when the parent handle is not valid.
bool ResolveParent(DWORD style, HWND parentHandle, Window*& parent, Window*& owner, WindowPtr& parentPtr) {
  if (parentHandle == HWND_MESSAGE) {
    parent = MessageRoot();
    return true;
  }
  if (style & WS_CHILD) {
    parentPtr = Lookup(parentHandle);
    if (!parentPtr) {
      SetLastError(parentHandle ? ERROR_INVALID_WINDOW_HANDLE : ERROR_TLW_WITH_WSCHILD);
      return false;
    }
    parent = parentPtr.get();
    return true;
  }
  parent = Desktop();
  if (!parentHandle) return true;
  parentPtr = Lookup(parentHandle);
  if (!parentPtr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  owner = TopLevelOf(parentPtr.get());
  if (owner && owner->kind != WindowKind::Normal) owner = nullptr;
  return true;
}

// The rectangle a window is created with: children in the parent's client coordinates,
// mirrored in a right-to-left parent; an overlapped window placed and sized by the system where
// it asks for CW_USEDEFAULT; never a negative size.
RECT CreationRect(const CREATESTRUCTW& cs, DWORD style, bool child, const Window* parent) {
  RECT rc;
  if (!child && parent->kind != WindowKind::MessageRoot && !(style & WS_POPUP)) {
    rc = DefaultTopLevelRect(cs.x, cs.y, cs.cx, cs.cy);
  } else {
    int px = cs.x == CW_USEDEFAULT ? 0 : cs.x;
    int py = cs.y == CW_USEDEFAULT ? 0 : cs.y;
    int cx = cs.cx == CW_USEDEFAULT ? 0 : cs.cx;
    int cy = cs.cy == CW_USEDEFAULT ? 0 : cs.cy;
    rc = {px, py, px + cx, py + cy};
    if (child && parent->Rtl()) {
      int pw = parent->client.Width();
      rc = {pw - px - cx, py, pw - px, py + cy};
    }
  }
  if (rc.Right < rc.Left) rc.Right = rc.Left;
  if (rc.Bottom < rc.Top) rc.Bottom = rc.Top;
  return rc;
}

// WM_GETMINMAXINFO at creation; a sizable or overlapped window is held to the tracking sizes
// it answers. False when the window died meanwhile.
bool ApplyCreationMinMax(Window* w, DWORD style, bool child, RECT& rc) {
  HWND hwnd = w->handle;
  MINMAXINFO mmi{};
  RECT ins = NonClientInsets(w->style, w->exStyle, w->dpi, child);
  RECT work{};
  SystemParametersInfoW(0x0030, 0, &work, 0);
  mmi.ptMaxSize = {work.Width() + ins.Left + ins.Right, work.Height() + ins.Top + ins.Bottom};
  mmi.ptMaxPosition = {-ins.Left, -ins.Top};
  mmi.ptMinTrackSize = {GetSystemMetricsForDpi(34 /*SM_CXMINTRACK*/, w->dpi),
                        GetSystemMetricsForDpi(35 /*SM_CYMINTRACK*/, w->dpi)};
  mmi.ptMaxTrackSize = {GetSystemMetricsForDpi(59 /*SM_CXMAXTRACK*/, w->dpi),
                        GetSystemMetricsForDpi(60 /*SM_CYMAXTRACK*/, w->dpi)};
  Send(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  if (!Lookup(hwnd)) return false;
  if ((style & WS_THICKFRAME) || !(style & WS_POPUP)) {
    int cw = std::clamp<int>(rc.Width(), std::min(mmi.ptMinTrackSize.X, mmi.ptMaxTrackSize.X),
                             mmi.ptMaxTrackSize.X);
    int ch = std::clamp<int>(rc.Height(), std::min(mmi.ptMinTrackSize.Y, mmi.ptMaxTrackSize.Y),
                             mmi.ptMaxTrackSize.Y);
    if (style & (WS_THICKFRAME | WS_CAPTION)) {
      rc.Right = rc.Left + cw;
      rc.Bottom = rc.Top + ch;
    }
  }
  return true;
}

// WM_SIZE and WM_MOVE with the new window's client size and place (a child in a right-to-left
// parent is placed from the parent's right edge). False when the window died meanwhile.
bool SendCreationSizeAndMove(Window* w, bool child, const Window* parent) {
  HWND hwnd = w->handle;
  Send(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->client.Width(), w->client.Height()));
  if (!Lookup(hwnd)) return false;
  POINT origin{w->client.Left, w->client.Top};
  if (child && parent->Rtl()) origin.X = parent->client.Width() - w->client.Right;
  Send(hwnd, WM_MOVE, 0, MAKELPARAM(origin.X, origin.Y));
  return Lookup(hwnd) != nullptr;
}

}  // namespace

// ---- Creation ------------------------------------------------------------------------------------
}  // namespace qd::user

namespace qd {
using namespace user;

ATOM RegisterClassExW(const WNDCLASSEXW* wc) {
  if (!wc || wc->cbSize != sizeof(WNDCLASSEXW)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return RegisterClassImpl(*wc);
}

ATOM RegisterClassW(const WNDCLASSW* wc) {
  if (!wc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  WNDCLASSEXW ex;
  ex.style = wc->style;
  ex.lpfnWndProc = wc->lpfnWndProc;
  ex.cbClsExtra = wc->cbClsExtra;
  ex.cbWndExtra = wc->cbWndExtra;
  ex.hInstance = wc->hInstance;
  ex.hIcon = wc->hIcon;
  ex.hCursor = wc->hCursor;
  ex.hbrBackground = wc->hbrBackground;
  ex.lpszMenuName = wc->lpszMenuName;
  ex.lpszClassName = wc->lpszClassName;
  return RegisterClassImpl(ex);
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE) {
  auto& t = T();
  std::lock_guard lock(t.mutex);
  EnsureSystemClasses(t);
  auto c = FindClassLocked(t, className);
  if (!c || c->system) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  if (c->windows > 0) {
    SetLastError(ERROR_CLASS_HAS_WINDOWS);
    return FALSE;
  }
  t.classes.erase(std::find(t.classes.begin(), t.classes.end(), c));
  if (!IS_INTRESOURCE(className)) GlobalDeleteAtom(c->atom);
  return TRUE;
}

BOOL GetClassInfoExW(HINSTANCE, LPCWSTR className, WNDCLASSEXW* wc) {
  auto c = FindClass(className);
  if (!c || !wc) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  wc->style = c->style;
  wc->lpfnWndProc = c->proc;
  wc->cbClsExtra = c->cbClsExtra;
  wc->cbWndExtra = c->cbWndExtra;
  wc->hInstance = c->instance;
  wc->hIcon = c->icon;
  wc->hCursor = c->cursor;
  wc->hbrBackground = c->background;
  wc->lpszMenuName = nullptr;
  wc->lpszClassName = className;
  wc->hIconSm = c->iconSmall;
  return c->atom;
}

BOOL GetClassInfoW(HINSTANCE instance, LPCWSTR className, WNDCLASSW* wc) {
  WNDCLASSEXW ex;
  BOOL r = GetClassInfoExW(instance, className, &ex);
  if (r && wc) {
    wc->style = ex.style;
    wc->lpfnWndProc = ex.lpfnWndProc;
    wc->cbClsExtra = ex.cbClsExtra;
    wc->cbWndExtra = ex.cbWndExtra;
    wc->hInstance = ex.hInstance;
    wc->hIcon = ex.hIcon;
    wc->hCursor = ex.hCursor;
    wc->hbrBackground = ex.hbrBackground;
    wc->lpszMenuName = nullptr;
    wc->lpszClassName = className;
  }
  return r;
}

int GetClassNameW(HWND hwnd, LPWSTR buffer, int size) {
  WindowPtr w = Checked(hwnd);
  if (!w || !buffer || size <= 0) return 0;
  String name = w->kind == WindowKind::Desktop ? String(u"#32769")
                : w->cls                       ? w->cls->name
                                               : String(u"Message");
  int n = std::min<int>(static_cast<int>(name.size()), size - 1);
  std::copy_n(name.data(), n, buffer);
  buffer[n] = 0;
  return n;
}

ULONG_PTR GetClassLongPtrW(HWND hwnd, int index) {
  WindowPtr w = Checked(hwnd);
  if (!w || !w->cls) return 0;
  WndClass& c = *w->cls;
  if (index >= 0) {
    if (index + sizeof(LONG_PTR) > c.extra.size()) {
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
    }
    LONG_PTR v;
    std::memcpy(&v, c.extra.data() + index, sizeof v);
    return static_cast<ULONG_PTR>(v);
  }
  switch (index) {
    case GCLP_HBRBACKGROUND:
      return reinterpret_cast<ULONG_PTR>(c.background);
    case GCLP_HCURSOR:
      return reinterpret_cast<ULONG_PTR>(c.cursor);
    case GCLP_HICON:
      return reinterpret_cast<ULONG_PTR>(c.icon);
    case GCLP_HICONSM:
      return reinterpret_cast<ULONG_PTR>(c.iconSmall);
    case GCLP_HMODULE:
      return reinterpret_cast<ULONG_PTR>(c.instance);
    case GCL_CBWNDEXTRA:
      return static_cast<ULONG_PTR>(c.cbWndExtra);
    case GCL_CBCLSEXTRA:
      return static_cast<ULONG_PTR>(c.cbClsExtra);
    case GCLP_WNDPROC:
      return reinterpret_cast<ULONG_PTR>(c.proc);
    case GCL_STYLE:
      return c.style;
    case GCW_ATOM:
      return c.atom;
    default:
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
  }
}

ULONG_PTR SetClassLongPtrW(HWND hwnd, int index, LONG_PTR value) {
  WindowPtr w = Checked(hwnd);
  if (!w || !w->cls) return 0;
  WndClass& c = *w->cls;
  ULONG_PTR old = GetClassLongPtrW(hwnd, index);
  if (index >= 0) {
    if (index + sizeof(LONG_PTR) > c.extra.size()) return 0;
    std::memcpy(c.extra.data() + index, &value, sizeof value);
    return old;
  }
  switch (index) {
    case GCLP_HBRBACKGROUND:
      c.background = reinterpret_cast<HBRUSH>(value);
      break;
    case GCLP_HCURSOR:
      c.cursor = reinterpret_cast<HCURSOR>(value);
      break;
    case GCLP_HICON:
      c.icon = reinterpret_cast<HICON>(value);
      break;
    case GCLP_HICONSM:
      c.iconSmall = reinterpret_cast<HICON>(value);
      break;
    case GCLP_WNDPROC:
      c.proc = reinterpret_cast<WNDPROC>(value);
      break;
    case GCL_STYLE:
      c.style = static_cast<UINT>(value);
      break;
    default:
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
  }
  return old;
}

DWORD GetClassLongW(HWND hwnd, int index) {
  return static_cast<DWORD>(GetClassLongPtrW(hwnd, index));
}
DWORD SetClassLongW(HWND hwnd, int index, LONG value) {
  return static_cast<DWORD>(SetClassLongPtrW(hwnd, index, value));
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parentHandle, HMENU menu, HINSTANCE instance, LPVOID param) {
  auto cls = FindClass(className);
  if (!cls) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  Window* parent = nullptr;
  Window* owner = nullptr;
  WindowPtr parentPtr;
  if (!ResolveParent(style, parentHandle, parent, owner, parentPtr)) return nullptr;
  const bool child = (style & WS_CHILD) && parent->kind == WindowKind::Normal;
  if (!child) {
    style |= WS_CLIPSIBLINGS;
    // Only an overlapped window gets a caption; a child of the desktop keeps the style it asked for.
    if (!(style & (WS_POPUP | WS_CHILD))) style |= WS_CAPTION;
  }
  if ((style & WS_DLGFRAME) || (style & WS_THICKFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
    exStyle |= WS_EX_WINDOWEDGE;
  if (child && parent->Rtl() && !(parent->exStyle & WS_EX_NOINHERITLAYOUT)) exStyle |= WS_EX_LAYOUTRTL;
  ThreadPtr ts = CurrentThreadPtr();

  auto w = std::make_shared<Window>();
  {
    auto& t = T();
    std::lock_guard lock(t.mutex);
    EnsureRoots(t);
    w->handle = NewHandle(t);
    w->cls = cls;
    ++cls->windows;
    w->thread = ts;
    w->threadId = ts->id;
    w->proc = cls->proc;
    w->style = style & ~WS_VISIBLE;
    w->exStyle = exStyle;
    w->parent = parent;
    w->owner = owner;
    w->instance = instance;
    w->text = windowName && !IS_INTRESOURCE(windowName) ? String(windowName) : String();
    w->extra.assign(static_cast<size_t>(cls->cbWndExtra), 0);
    if (child)
      w->id = reinterpret_cast<LONG_PTR>(menu);
    else
      w->menu = menu;
    t.windows[w->handle] = w;
    t.order.push_back(w->handle);
    ZOrderInsert(w.get(), HWND_TOP);
  }
  HWND hwnd = w->handle;

  CREATESTRUCTW cs;
  cs.lpCreateParams = param;
  cs.hInstance = instance;
  cs.hMenu = menu;
  cs.hwndParent = parentHandle;
  cs.x = x;
  cs.y = y;
  cs.cx = width;
  cs.cy = height;
  cs.style = static_cast<LONG>(style);
  cs.lpszName = windowName;
  cs.lpszClass = className;
  cs.dwExStyle = exStyle;

  auto abandon = [&] {
    // Undo a window that never got WM_NCCREATE through.
    w->ncCreated = true;
    FinalizeWindow(w.get());
  };

  if (HasHooks(WH_CBT)) {
    CBT_CREATEWNDW cbt{&cs, HWND_TOP};
    if (CallHooks(WH_CBT, HCBT_CREATEWND, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(&cbt))) {
      abandon();
      return nullptr;
    }
    if (!Lookup(hwnd)) return nullptr;
  }
  w->dpi = InitialDpi(w.get());

  RECT rc = CreationRect(cs, style, child, parent);
  if ((!child && parent->kind == WindowKind::Desktop) || (style & WS_THICKFRAME)) {
    if (!ApplyCreationMinMax(w.get(), style, child, rc)) return nullptr;
  }
  w->window = w->client = rc;
  w->normalRect = rc;

  if (!Send(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    if (Lookup(hwnd)) {
      w->ncCreated = true;
      w->destroying = true;
      Send(hwnd, WM_NCDESTROY, 0, 0);
      if (Lookup(hwnd)) FinalizeWindow(w.get());
    }
    return nullptr;
  }
  if (!Lookup(hwnd)) return nullptr;
  w->ncCreated = true;
  if (w->IsTopLevel()) {
    EnsureSurface(w.get());
    NotifyCreated(w.get());
  }

  RECT calc = w->window;
  Send(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&calc));
  if (!Lookup(hwnd)) return nullptr;
  if (calc.Right < calc.Left) calc.Right = calc.Left;
  if (calc.Bottom < calc.Top) calc.Bottom = calc.Top;
  w->client = calc;

  if (Send(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    if (Lookup(hwnd)) DestroyWindow(hwnd);
    return nullptr;
  }
  if (!Lookup(hwnd)) return nullptr;

  // An overlapped window (neither child nor popup) gets WM_SIZE and WM_MOVE with its first showing,
  // wherever it was placed.
  if (!child && parent->kind == WindowKind::Desktop && !(style & WS_POPUP)) {
    w->needSize = true;
  } else if (!SendCreationSizeAndMove(w.get(), child, parent)) {
    return nullptr;
  }

  // The parent hears of a new child before the child is shown.
  if (child) SendParentNotify(w.get(), WM_CREATE);
  if (!Lookup(hwnd)) return nullptr;
  if (style & WS_VISIBLE) {
    int cmd = (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : (style & WS_MINIMIZE) ? SW_SHOWMINIMIZED : SW_SHOW;
    if (child) cmd = SW_SHOW;
    ShowWindow(hwnd, cmd);
    if (!Lookup(hwnd)) return nullptr;
  }
  return hwnd;
}

BOOL DestroyWindow(HWND hwnd) {
  WindowPtr w = Checked(hwnd);
  if (!w || w->kind != WindowKind::Normal) return FALSE;
  if (w->threadId != GetCurrentThreadId()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (w->destroying) return FALSE;
  if (HasHooks(WH_CBT) && CallHooks(WH_CBT, HCBT_DESTROYWND, reinterpret_cast<WPARAM>(hwnd), 0)) return FALSE;
  if (!Lookup(hwnd)) return FALSE;
  w->destroying = true;

  // Owned windows go first.
  for (auto& other : AllWindows())
    if (other->owner == w.get() && !other->destroying) DestroyWindow(other->handle);

  if (w->IsChild()) SendParentNotify(w.get(), WM_DESTROY);
  if (!Lookup(hwnd)) return TRUE;

  if (w->Visible()) {
    // A child is hidden as by ShowWindow(SW_HIDE), so it hears WM_SHOWWINDOW; a top-level window is not.
    if (w->IsChild()) {
      Send(hwnd, WM_SHOWWINDOW, FALSE, 0);
      if (!Lookup(hwnd)) return TRUE;
    }
    SetWindowPosInternal(w.get(), nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    if (!Lookup(hwnd)) return TRUE;
  }
  if (w->IsTopLevel()) ActivateOtherAfter(w.get());
  ReleaseFocusAndCaptureOf(w.get());
  if (!Lookup(hwnd)) return TRUE;

  SendDestroyTree(hwnd);
  NcDestroyTree(hwnd);
  return TRUE;
}

BOOL IsWindow(HWND hwnd) {
  return Lookup(hwnd) ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
  WindowPtr w = Lookup(hwnd);
  return w && IsVisibleChain(w.get()) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
  WindowPtr w = Lookup(hwnd);
  return w && w->Enabled() ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  WindowPtr w = Checked(hwnd);
  if (!w) return FALSE;
  const BOOL wasDisabled = w->Enabled() ? FALSE : TRUE;
  if ((enable != FALSE) == w->Enabled()) return wasDisabled;
  if (!enable) {
    Send(hwnd, WM_CANCELMODE, 0, 0);
    if (!Lookup(hwnd)) return wasDisabled;
    w->style |= WS_DISABLED;
    HWND focus = Input().focus;
    if (focus && (focus == hwnd || IsChild(hwnd, focus))) SetFocus(nullptr);
    if (Input().capture == hwnd) ReleaseCapture();
  } else {
    w->style &= ~WS_DISABLED;
  }
  Send(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return wasDisabled;
}

BOOL IsChild(HWND parent, HWND hwnd) {
  WindowPtr p = Lookup(parent);
  WindowPtr w = Lookup(hwnd);
  if (!p || !w) return FALSE;
  for (Window* x = w.get(); x && x->IsChild(); x = x->parent)
    if (x->parent == p.get()) return TRUE;
  return FALSE;
}

BOOL IsIconic(HWND hwnd) {
  WindowPtr w = Lookup(hwnd);
  return w && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
  WindowPtr w = Lookup(hwnd);
  return w && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

HWND GetParent(HWND hwnd) {
  WindowPtr w = Checked(hwnd);
  if (!w || w->kind != WindowKind::Normal) return nullptr;
  if (w->IsChild()) return w->parent->handle;
  if ((w->style & WS_POPUP) && w->owner) return w->owner->handle;
  return nullptr;
}

HMENU GetMenu(HWND hwnd) {
  WindowPtr w = Checked(hwnd);
  return w && !w->IsChild() ? w->menu : nullptr;
}

BOOL SetMenu(HWND hwnd, HMENU menu) {
  WindowPtr w = Checked(hwnd);
  if (!w || w->IsChild()) return FALSE;
  w->menu = menu;
  return TRUE;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
  WindowPtr w = Checked(hwnd);
  if (!w || w->kind != WindowKind::Normal) return nullptr;
  switch (flags) {
    case GA_PARENT:
      return w->parent ? w->parent->handle : nullptr;
    case GA_ROOT:
      return TopLevelOf(w.get())->handle;
    case GA_ROOTOWNER: {
      Window* x = TopLevelOf(w.get());
      while (x->owner) x = x->owner;
      return x->handle;
    }
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

HWND GetDesktopWindow() {
  return Desktop()->handle;
}

HWND SetParent(HWND childHandle, HWND newParentHandle) {
  WindowPtr w = Checked(childHandle);
  if (!w || w->kind != WindowKind::Normal) return nullptr;
  Window* newParent = nullptr;
  WindowPtr np;
  if (!newParentHandle) {
    newParent = Desktop();
  } else if (newParentHandle == HWND_MESSAGE) {
    newParent = MessageRoot();
  } else {
    np = Checked(newParentHandle);
    if (!np) return nullptr;
    for (Window* x = np.get(); x; x = x->parent)
      if (x == w.get()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
      }
    newParent = np.get();
  }
  Window* old = w->parent;
  HWND oldHandle = old ? (old->kind == WindowKind::Normal ? old->handle : Desktop()->handle) : nullptr;
  if (old == newParent) return oldHandle;
  const bool wasVisible = w->Visible();
  if (wasVisible) ShowWindow(childHandle, SW_HIDE);
  if (!Lookup(childHandle)) return nullptr;
  const bool wasTop = w->IsTopLevel();
  {
    std::lock_guard lock(WmMutex());
    UnlinkFromParent(w.get());
    if (wasTop) NotifyDestroyed(w.get());
    w->parent = newParent;
    ZOrderInsert(w.get(), HWND_TOP);
    if (w->IsTopLevel()) {
      w->owner = nullptr;
    } else {
      w->surface.reset();
    }
  }
  if (w->IsTopLevel()) {
    EnsureSurface(w.get());
    NotifyCreated(w.get());
  }
  w->dpi = InitialDpi(w.get());
  if (wasVisible) ShowWindow(childHandle, SW_SHOWNA);
  return oldHandle;
}

HWND GetWindow(HWND hwnd, UINT cmd) {
  WindowPtr w = Checked(hwnd);
  if (!w) return nullptr;
  std::lock_guard lock(WmMutex());
  switch (cmd) {
    case GW_CHILD:
      return w->children.empty() ? nullptr : w->children.front()->handle;
    case GW_OWNER:
      return w->owner ? w->owner->handle : nullptr;
    case GW_ENABLEDPOPUP: {
      for (auto& other : TopLevelWindows())
        if (other->owner == w.get() && other->Visible() && other->Enabled()) return other->handle;
      return nullptr;
    }
    default:
      break;
  }
  if (!w->parent) return nullptr;
  auto& sib = w->parent->children;
  auto it = std::find(sib.begin(), sib.end(), w.get());
  if (it == sib.end()) return nullptr;
  switch (cmd) {
    case GW_HWNDFIRST:
      return sib.front()->handle;
    case GW_HWNDLAST:
      return sib.back()->handle;
    case GW_HWNDNEXT:
      return it + 1 == sib.end() ? nullptr : (*(it + 1))->handle;
    case GW_HWNDPREV:
      return it == sib.begin() ? nullptr : (*(it - 1))->handle;
    default:
      SetLastError(ERROR_INVALID_GW_COMMAND);
      return nullptr;
  }
}

HWND GetTopWindow(HWND hwnd) {
  return GetWindow(hwnd ? hwnd : GetDesktopWindow(), GW_CHILD);
}
HWND GetNextWindow(HWND hwnd, UINT cmd) {
  return GetWindow(hwnd, cmd);
}

HWND GetLastActivePopup(HWND hwnd) {
  WindowPtr w = Checked(hwnd);
  if (!w) return nullptr;
  if (w->lastActivePopup) {
    WindowPtr p = Lookup(w->lastActivePopup);
    if (p && p->Visible() && p->Enabled()) return p->handle;
  }
  return hwnd;
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
  WindowPtr w = CheckedFromAnyThread(hwnd);
  if (!w) return 0;
  if (processId) *processId = GetCurrentProcessId();
  return w->threadId;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM param) {
  for (auto& w : TopLevelWindows())
    if (Lookup(w->handle) && !proc(w->handle, param)) return FALSE;
  return TRUE;
}

namespace {
bool EnumChildrenRec(Window* w, WNDENUMPROC proc, LPARAM param) {
  std::vector<HWND> kids;
  {
    std::lock_guard lock(WmMutex());
    for (Window* c : w->children) kids.push_back(c->handle);
  }
  for (HWND k : kids) {
    WindowPtr c = Lookup(k);
    if (!c) continue;
    if (!proc(k, param)) return false;
    if ((c = Lookup(k)) && !EnumChildrenRec(c.get(), proc, param)) return false;
  }
  return true;
}
}  // namespace

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM param) {
  WindowPtr p = parent ? Checked(parent) : WindowPtr();
  if (!parent) return EnumWindows(proc, param);
  if (!p) return FALSE;
  return EnumChildrenRec(p.get(), proc, param) ? TRUE : FALSE;
}

BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC proc, LPARAM param) {
  for (auto& w : TopLevelWindows())
    if (w->threadId == threadId && Lookup(w->handle) && !proc(w->handle, param)) return FALSE;
  return TRUE;
}

HWND FindWindowExW(HWND parent, HWND childAfter, LPCWSTR className, LPCWSTR windowName) {
  Window* p = nullptr;
  WindowPtr pp;
  if (!parent) {
    p = Desktop();
  } else if (parent == HWND_MESSAGE) {
    p = MessageRoot();
  } else {
    pp = Checked(parent);
    if (!pp) return nullptr;
    p = pp.get();
  }
  std::shared_ptr<WndClass> cls;
  if (className) {
    cls = FindClass(className);
    if (!cls) return nullptr;
  }
  std::lock_guard lock(WmMutex());
  bool started = childAfter == nullptr;
  for (Window* c : p->children) {
    if (!started) {
      started = c->handle == childAfter;
      continue;
    }
    if (cls && c->cls != cls) continue;
    if (windowName && c->text != windowName) continue;
    return c->handle;
  }
  return nullptr;
}

HWND FindWindowW(LPCWSTR className, LPCWSTR windowName) {
  return FindWindowExW(nullptr, nullptr, className, windowName);
}

// ---- Window longs ----------------------------------------------------------------------------------
LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) {
  WindowPtr w = Checked(hwnd);
  if (!w) return 0;
  if (index >= 0) {
    if (static_cast<size_t>(index) + sizeof(LONG_PTR) > w->extra.size()) {
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
    }
    LONG_PTR v;
    std::memcpy(&v, w->extra.data() + index, sizeof v);
    return v;
  }
  switch (index) {
    case GWLP_WNDPROC:
      return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE:
      return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
      return reinterpret_cast<LONG_PTR>(w->IsChild() ? w->parent->handle
                                        : w->owner   ? w->owner->handle
                                                     : nullptr);
    case GWLP_ID:
      return w->id;
    case GWL_STYLE:
      return static_cast<LONG>(w->style);
    case GWL_EXSTYLE:
      return static_cast<LONG>(w->exStyle);
    case GWLP_USERDATA:
      return w->userData;
    default:
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
  }
}

namespace {
void ChangeStyle(Window* w, int index, DWORD value) {
  HWND hwnd = w->handle;
  STYLESTRUCT ss{index == GWL_STYLE ? w->style : w->exStyle, value};
  if (index == GWL_EXSTYLE) {
    // The topmost flag changes only through SetWindowPos.
    ss.styleNew = (ss.styleNew & ~WS_EX_TOPMOST) | (w->exStyle & WS_EX_TOPMOST);
  }
  Send(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
  if (!Lookup(hwnd)) return;
  DWORD newValue = ss.styleNew;
  if (index == GWL_STYLE) {
    w->style = newValue;
  } else {
    DWORD old = w->exStyle;
    w->exStyle = (newValue & ~WS_EX_TOPMOST) | (w->exStyle & WS_EX_TOPMOST);
    if ((old & WS_EX_LAYERED) && !(w->exStyle & WS_EX_LAYERED)) {
      w->layeredFlags = 0;
      w->layeredAlpha = 255;
      w->layeredUpdated = false;
      if (w->Visible()) RedrawWindow(hwnd, nullptr, nullptr, 0x0001 | 0x0004 | 0x0080 | 0x0400);
    }
  }
  ss.styleNew = newValue;
  Send(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
}
}  // namespace

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
  WindowPtr w = Checked(hwnd);
  if (!w || w->kind != WindowKind::Normal) return 0;
  LONG_PTR old = GetWindowLongPtrW(hwnd, index);
  if (index >= 0) {
    if (static_cast<size_t>(index) + sizeof(LONG_PTR) > w->extra.size()) return 0;
    std::memcpy(w->extra.data() + index, &value, sizeof value);
    return old;
  }
  switch (index) {
    case GWLP_WNDPROC:
      if (w->threadId != GetCurrentThreadId()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
      }
      w->proc = reinterpret_cast<WNDPROC>(value);
      break;
    case GWLP_HINSTANCE:
      w->instance = reinterpret_cast<HINSTANCE>(value);
      break;
    case GWLP_HWNDPARENT:
      if (w->IsTopLevel()) {
        WindowPtr o = Lookup(reinterpret_cast<HWND>(value));
        w->owner = o ? TopLevelOf(o.get()) : nullptr;
      }
      break;
    case GWLP_ID:
      w->id = value;
      break;
    case GWLP_USERDATA:
      w->userData = value;
      break;
    case GWL_STYLE:
    case GWL_EXSTYLE:
      ChangeStyle(w.get(), index, static_cast<DWORD>(value));
      break;
    default:
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
  }
  return old;
}

LONG GetWindowLongW(HWND hwnd, int index) {
  if (index >= 0) {
    WindowPtr w = Checked(hwnd);
    if (!w) return 0;
    if (static_cast<size_t>(index) + sizeof(LONG) > w->extra.size()) {
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
    }
    LONG v;
    std::memcpy(&v, w->extra.data() + index, sizeof v);
    return v;
  }
  return static_cast<LONG>(GetWindowLongPtrW(hwnd, index));
}

LONG SetWindowLongW(HWND hwnd, int index, LONG value) {
  if (index >= 0) {
    WindowPtr w = Checked(hwnd);
    if (!w) return 0;
    if (static_cast<size_t>(index) + sizeof(LONG) > w->extra.size()) {
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
    }
    LONG old;
    std::memcpy(&old, w->extra.data() + index, sizeof old);
    std::memcpy(w->extra.data() + index, &value, sizeof value);
    return old;
  }
  // Styles are 32-bit values: no sign extension into the pointer-sized call.
  LONG_PTR v = (index == GWL_STYLE || index == GWL_EXSTYLE) ? static_cast<LONG_PTR>(static_cast<DWORD>(value))
                                                            : static_cast<LONG_PTR>(value);
  return static_cast<LONG>(SetWindowLongPtrW(hwnd, index, v));
}

WORD GetWindowWord(HWND hwnd, int index) {
  WindowPtr w = Checked(hwnd);
  if (!w || index < 0 || static_cast<size_t>(index) + 2 > w->extra.size()) return 0;
  WORD v;
  std::memcpy(&v, w->extra.data() + index, 2);
  return v;
}

LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!proc) return 0;
  return proc(hwnd, msg, wParam, lParam);
}

int GetDlgCtrlID(HWND hwnd) {
  WindowPtr w = Checked(hwnd);
  return w && w->IsChild() ? static_cast<int>(w->id) : 0;
}

HWND GetDlgItem(HWND dialog, int id) {
  WindowPtr w = Checked(dialog);
  if (!w) return nullptr;
  std::lock_guard lock(WmMutex());
  for (Window* c : w->children)
    if (c->id == id) return c->handle;
  return nullptr;
}

// ---- Properties ---------------------------------------------------------------------------------------
BOOL SetPropW(HWND hwnd, LPCWSTR name, HANDLE data) {
  WindowPtr w = Checked(hwnd);
  if (!w || !name) return FALSE;
  ATOM atom =
      IS_INTRESOURCE(name) ? static_cast<ATOM>(reinterpret_cast<uintptr_t>(name)) : GlobalAddAtomW(name);
  if (!atom) return FALSE;
  auto [it, inserted] = w->props.try_emplace(atom, data);
  if (!inserted) {
    it->second = data;
    if (!IS_INTRESOURCE(name)) GlobalDeleteAtom(atom);  // one reference per property
  }
  return TRUE;
}

HANDLE GetPropW(HWND hwnd, LPCWSTR name) {
  WindowPtr w = Lookup(hwnd);
  if (!w || !name) return nullptr;
  ATOM atom =
      IS_INTRESOURCE(name) ? static_cast<ATOM>(reinterpret_cast<uintptr_t>(name)) : GlobalFindAtomW(name);
  auto it = w->props.find(atom);
  return it == w->props.end() ? nullptr : it->second;
}

HANDLE RemovePropW(HWND hwnd, LPCWSTR name) {
  WindowPtr w = Lookup(hwnd);
  if (!w || !name) return nullptr;
  ATOM atom =
      IS_INTRESOURCE(name) ? static_cast<ATOM>(reinterpret_cast<uintptr_t>(name)) : GlobalFindAtomW(name);
  auto it = w->props.find(atom);
  if (it == w->props.end()) return nullptr;
  HANDLE data = it->second;
  w->props.erase(it);
  if (atom >= 0xC000) GlobalDeleteAtom(atom);
  return data;
}

// ---- Text ----------------------------------------------------------------------------------------------
BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
  WindowPtr w = Checked(hwnd);
  if (!w) return FALSE;
  return Send(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : u"")) ? TRUE : FALSE;
}

int GetWindowTextW(HWND hwnd, LPWSTR buffer, int size) {
  WindowPtr w = Checked(hwnd);
  if (!w || !buffer || size <= 0) return 0;
  if (w->threadId == GetCurrentThreadId())
    return static_cast<int>(
        Send(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
  // Another thread's window: its stored text, without a message.
  int n = std::min<int>(static_cast<int>(w->text.size()), size - 1);
  std::copy_n(w->text.data(), n, buffer);
  buffer[n] = 0;
  return n;
}

int GetWindowTextLengthW(HWND hwnd) {
  WindowPtr w = Checked(hwnd);
  if (!w) return 0;
  if (w->threadId == GetCurrentThreadId()) return static_cast<int>(Send(hwnd, WM_GETTEXTLENGTH, 0, 0));
  return static_cast<int>(w->text.size());
}

}  // namespace qd
