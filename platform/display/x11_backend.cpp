// The X11 display backend (Xlib, with XShape from Xext).
#include "platform/display/x11_backend.h"

#include "platform/base/strings.h"
#include "platform/display/x11_clipboard.h"
#include "platform/display/x11_errors.h"
#include "platform/display/x11_keys.h"
#include "platform/os/gdi.h"
#include "platform/os/gdi_surface.h"
#include "platform/os/kernel.h"
#include "platform/os/user.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

// Xlib last: its macros (None, Bool, Status, KeyPress...) must not reach the headers above.
#include <X11/Xatom.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/shape.h>

namespace qd::display {
namespace {

constexpr int kMoveSizePollMs = 20;

constexpr long kWindowEvents = ExposureMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask |
                               ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask |
                               LeaveWindowMask | FocusChangeMask;

// _MOTIF_WM_HINTS, as window managers read it.
constexpr unsigned long kMwmHintsFunctions = 1, kMwmHintsDecorations = 2;
constexpr unsigned long kMwmFuncResize = 2, kMwmFuncMove = 4, kMwmFuncMinimize = 8, kMwmFuncMaximize = 16,
                        kMwmFuncClose = 32;
constexpr unsigned long kMwmDecorBorder = 2, kMwmDecorResizeh = 4, kMwmDecorTitle = 8, kMwmDecorMenu = 16,
                        kMwmDecorMinimize = 32, kMwmDecorMaximize = 64;

enum AtomId {
  kWmProtocols,
  kWmDeleteWindow,
  kNetWmName,
  kUtf8String,
  kNetWmIcon,
  kNetWmPid,
  kMotifWmHints,
  kNetWmWindowType,
  kNetWmWindowTypeNormal,
  kNetWmWindowTypeDialog,
  kNetWmWindowTypeUtility,
  kNetWmState,
  kNetWmStateAbove,
  kNetWmStateSkipTaskbar,
  kNetWorkarea,
  kResourceManager,
  kNetSupportingWmCheck,
  kAtomCount
};
const char* const kAtomNames[kAtomCount] = {"WM_PROTOCOLS",
                                            "WM_DELETE_WINDOW",
                                            "_NET_WM_NAME",
                                            "UTF8_STRING",
                                            "_NET_WM_ICON",
                                            "_NET_WM_PID",
                                            "_MOTIF_WM_HINTS",
                                            "_NET_WM_WINDOW_TYPE",
                                            "_NET_WM_WINDOW_TYPE_NORMAL",
                                            "_NET_WM_WINDOW_TYPE_DIALOG",
                                            "_NET_WM_WINDOW_TYPE_UTILITY",
                                            "_NET_WM_STATE",
                                            "_NET_WM_STATE_ABOVE",
                                            "_NET_WM_STATE_SKIP_TASKBAR",
                                            "_NET_WORKAREA",
                                            "RESOURCE_MANAGER",
                                            "_NET_SUPPORTING_WM_CHECK"};

// What a top-level window is, read from its styles.
struct Kind {
  DWORD style = 0;
  DWORD exStyle = 0;
  HWND owner = nullptr;  // the owner when it is visible (a hidden owner does not count)
  bool caption = false;
  bool overrideRedirect = false;
  bool decorated = false;
  bool layered = false;
  bool region = false;
};

Kind KindOf(HWND hwnd) {
  Kind k;
  k.style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
  k.exStyle = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE));
  HWND owner = GetWindow(hwnd, GW_OWNER);
  if (owner && IsWindowVisible(owner)) k.owner = owner;
  k.caption = (k.style & WS_CAPTION) == WS_CAPTION;
  // Menus, drop-downs, hints and other popups are placed and stacked by us, not by the X
  // window manager.
  const bool transientPopup = (k.exStyle & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE)) != 0 ||
                              ((k.style & WS_POPUP) && k.owner);
  k.overrideRedirect = !k.caption && !(k.exStyle & WS_EX_APPWINDOW) && transientPopup;
  k.decorated = k.caption && !k.overrideRedirect;
  k.layered = (k.exStyle & WS_EX_LAYERED) != 0;
  RECT box;
  k.region = GetWindowRgnBox(hwnd, &box) != ERROR;
  return k;
}

// Where a window is: its screen rectangle, the part of it the X window shows (window
// coordinates) and the X window's screen rectangle.
struct Placement {
  RECT window{};
  RECT view{};
  RECT xrect{};
};

Placement PlacementOf(HWND hwnd, bool decorated) {
  Placement p;
  GetWindowRect(hwnd, &p.window);
  const int w = p.window.Width(), h = p.window.Height();
  p.view = RECT{0, 0, w, h};
  if (decorated) {
    RECT client;
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    const int left = origin.X - p.window.Left, top = origin.Y - p.window.Top;
    p.view =
        RectIntersection(RECT{left, top, left + client.Width(), top + client.Height()}, RECT{0, 0, w, h});
  }
  p.xrect = RECT{p.window.Left + p.view.Left, p.window.Top + p.view.Top,
                 p.window.Left + p.view.Left + std::max(1, p.view.Width()),
                 p.window.Top + p.view.Top + std::max(1, p.view.Height())};
  return p;
}

struct ShapeRect {
  int x, y, w, h;
  bool operator==(const ShapeRect&) const = default;
};

struct XWin {
  HWND hwnd = nullptr;
  ::Window id = 0;
  GC gc = nullptr;
  XIC ic = nullptr;
  Visual* visual = nullptr;
  int depth = 0;
  Colormap colormap = 0;  // owned, for ARGB windows
  bool argb = false;
  bool overrideRedirect = false;
  bool decorated = false;
  bool mapped = false;
  bool placePending = false;  // mapped: the first MapNotify checks where the X window manager put it
  bool topmost = false;
  RECT view{};
  RECT xrect{};
  unsigned long configureSerial = 0;  // ConfigureNotify events older than our last request are stale
  std::vector<ShapeRect> shape;       // empty: not shaped
  bool shaped = false;
  RECT exposed{};
  HICON icon = nullptr;
  String title;
  bool moveSize = false;  // the user drags the X frame: inside WM_ENTERSIZEMOVE / WM_EXITSIZEMOVE
};

struct PressedKey {
  int vk = 0;
  bool extended = false;
  std::u16string packet;  // characters typed through VK_PACKET
};

class X11BackendImpl final : public X11Backend {
 public:
  X11BackendImpl(Display* dpy, const char* displayName)
      : dpy_(dpy), displayName_(displayName ? displayName : "") {}
  ~X11BackendImpl() override;
  bool Init();

  const char* Name() const override { return "x11"; }
  void WindowCreated(HWND hwnd) override;
  void WindowDestroyed(HWND hwnd) override;
  void WindowShown(HWND hwnd, bool visible) override;
  void WindowMoved(HWND hwnd, const RECT& screenRect) override;
  void WindowTitleChanged(HWND hwnd, const String& title) override;
  void WindowIconChanged(HWND hwnd, HICON icon) override;
  void WindowShapeChanged(HWND hwnd) override;
  void Present(HWND hwnd, const gdi::Surface& surface, const RECT& dirty) override;
  void CursorChanged(HCURSOR cursor) override;
  bool HasEventSource() const override { return true; }
  DWORD EventThread() const override { return thread_; }
  void WaitForEvents(int timeoutMs) override;
  void Wake() override;

  unsigned long XWindowOf(HWND hwnd) const override;
  RECT ViewOf(HWND hwnd) const override;
  UINT Dpi() const override { return dpi_; }
  X11Clipboard* Clipboard() const override { return clipboard_.get(); }
  bool ReadXWindowPixels(HWND hwnd, os::WindowPixels& out) override;
  void Sync() override {
    std::lock_guard lock(mutex_);
    if (!lost_) XSync(dpy_, False);
  }

  void UpdateMonitors();

 private:
  XWin* Find(HWND hwnd);
  const XWin* Find(HWND hwnd) const;
  XWin* FindX(::Window id);

  void CreateXWindow(XWin& w, const Kind& k, const Placement& p);
  void DestroyXWindow(XWin& w);
  void ApplyHints(XWin& w, const Kind& k, const Placement& p);
  void ApplyTitle(XWin& w);
  void ApplyIcon(XWin& w);
  void SendNetWmState(XWin& w, bool add, Atom state);
  void Configure(XWin& w, const Placement& p);
  void PushRaw(XWin& w, const uint32_t* pixels, int stride, int height, const RECT& area);
  void PushComposed(XWin& w, const RECT& area, bool layered);
  void PutPixels(XWin& w, const uint32_t* data, int stride, int height, int srcX, int srcY, int dstX,
                 int dstY, int width, int rows);
  void UpdateShape(XWin& w, const os::WindowPixels& px);
  void Repush(HWND hwnd, const RECT& area);

  static void ConnectionLost(void* self);
  bool ProcessPending();
  void HandleEvent(XEvent& ev);
  void OnConfigure(const XConfigureEvent& ev);
  void OnMapped(const XMapEvent& ev);
  void OnKey(XKeyEvent& ev);
  void OnButton(const XButtonEvent& ev);
  void OnFocusIn(const XFocusChangeEvent& ev);
  void OnClientMessage(const XClientMessageEvent& ev);
  void FinishBatch();
  bool PointerButtonsDown();
  void EndMoveSizeLoops(bool force);
  void SyncModifiers(unsigned state, unsigned long keysym);

  Cursor MakeCursor(HCURSOR cursor, bool& owned);
  bool WindowManagerRunning();
  UINT ReadDpi();
  RECT ReadWorkArea(const RECT& screen);

  Display* dpy_;
  std::string displayName_;
  std::unique_ptr<X11Clipboard> clipboard_;
  int screen_ = 0;
  ::Window root_ = 0;
  DWORD thread_ = 0;
  int wakeFd_ = -1;
  // The X connection is gone: nothing goes to it any more, and the event thread's message
  // loop is asked to quit (once).
  std::atomic<bool> lost_{false};
  bool quitPosted_ = false;
  Atom atoms_[kAtomCount]{};
  Atom cmSelection_ = 0;
  XVisualInfo argbVisual_{};
  bool haveArgb_ = false;
  bool haveShape_ = false;
  bool fastPath_ = false;      // the default visual takes our pixels as they are
  bool fastPathArgb_ = false;  // the same for the ARGB visual
  XIM im_ = nullptr;
  UINT dpi_ = 96;

  mutable std::recursive_mutex mutex_;
  std::unordered_map<HWND, XWin> windows_;
  std::unordered_map<::Window, HWND> byX_;

  Cursor cursor_ = 0;
  bool cursorOwned_ = false;
  std::map<unsigned, Cursor> fontCursors_;
  Cursor blankCursor_ = 0;

  // Input state between events.
  std::unordered_map<unsigned, PressedKey> pressed_;
  bool capsOn_ = false;
  bool focusCheck_ = false;
  bool monitorsChanged_ = false;
};

// ---- Set-up ---------------------------------------------------------------------------------------

bool X11BackendImpl::Init() {
  screen_ = DefaultScreen(dpy_);
  root_ = RootWindow(dpy_, screen_);
  thread_ = GetCurrentThreadId();
  WatchXConnection(dpy_, &X11BackendImpl::ConnectionLost, this);

  Visual* visual = DefaultVisual(dpy_, screen_);
  const int depth = DefaultDepth(dpy_, screen_);
  if (visual->c_class != TrueColor && visual->c_class != DirectColor) return false;
  auto bppOf = [&](int d) {
    int n = 0;
    int bpp = 0;
    if (XPixmapFormatValues* f = XListPixmapFormats(dpy_, &n)) {
      for (int i = 0; i < n; ++i)
        if (f[i].depth == d) bpp = f[i].bits_per_pixel;
      XFree(f);
    }
    return bpp;
  };
  fastPath_ = visual->red_mask == 0xFF0000 && visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF &&
              (depth == 24 || depth == 32) && bppOf(depth) == 32;
  if (XMatchVisualInfo(dpy_, screen_, 32, TrueColor, &argbVisual_)) {
    haveArgb_ = true;
    fastPathArgb_ = argbVisual_.red_mask == 0xFF0000 && argbVisual_.green_mask == 0xFF00 &&
                    argbVisual_.blue_mask == 0xFF && bppOf(32) == 32;
  }
  int shapeEvent = 0, shapeError = 0;
  haveShape_ = XShapeQueryExtension(dpy_, &shapeEvent, &shapeError);

  XInternAtoms(dpy_, const_cast<char**>(kAtomNames), kAtomCount, False, atoms_);
  const std::string cm = "_NET_WM_CM_S" + std::to_string(screen_);
  cmSelection_ = XInternAtom(dpy_, cm.c_str(), False);

  Bool detectable = False;
  XkbSetDetectableAutoRepeat(dpy_, True, &detectable);
  if (XSetLocaleModifiers("")) im_ = XOpenIM(dpy_, nullptr, nullptr, nullptr);
  if (!im_ && XSetLocaleModifiers("@im=none")) im_ = XOpenIM(dpy_, nullptr, nullptr, nullptr);

  XSelectInput(dpy_, root_, StructureNotifyMask | PropertyChangeMask);
  wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (wakeFd_ < 0) return false;
  fcntl(ConnectionNumber(dpy_), F_SETFD, FD_CLOEXEC);
  capsOn_ = (GetKeyState(VK_CAPITAL) & 1) != 0;
  clipboard_ =
      X11Clipboard::Create(displayName_.empty() ? nullptr : displayName_.c_str(), [this] { Wake(); });
  if (clipboard_) os::SetClipboardBridge(clipboard_.get());
  UpdateMonitors();
  XFlush(dpy_);
  return true;
}

X11BackendImpl::~X11BackendImpl() {
  if (os::GetDisplayBackend() == this) os::SetDisplayBackend(nullptr);
  if (clipboard_) {
    os::SetClipboardBridge(nullptr);
    clipboard_.reset();
  }
  {
    // On a lost connection these only free what Xlib holds on our side.
    std::lock_guard lock(mutex_);
    for (auto& [hwnd, w] : windows_) DestroyXWindow(w);
    windows_.clear();
    byX_.clear();
    if (cursorOwned_ && cursor_) XFreeCursor(dpy_, cursor_);
    for (auto& [shape, c] : fontCursors_) XFreeCursor(dpy_, c);
    if (blankCursor_) XFreeCursor(dpy_, blankCursor_);
    if (im_) XCloseIM(im_);
  }
  CloseWatchedXConnection(dpy_);
  if (wakeFd_ >= 0) close(wakeFd_);
}

// Called by Xlib, maybe inside a call of ours holding mutex_: flags and wakes only.
void X11BackendImpl::ConnectionLost(void* self) {
  auto* backend = static_cast<X11BackendImpl*>(self);
  backend->lost_ = true;
  backend->Wake();
}

// An EWMH window manager names its check window on the root window and on the check window
// itself (a stale root property from a window manager that went away names no such window).
bool X11BackendImpl::WindowManagerRunning() {
  auto checkWindow = [&](::Window on) -> ::Window {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    ::Window result = 0;
    if (XGetWindowProperty(dpy_, on, atoms_[kNetSupportingWmCheck], 0, 1, False, XA_WINDOW, &type, &format,
                           &count, &after, &data) == Success &&
        data && format == 32 && count == 1)
      result = static_cast<::Window>(*reinterpret_cast<const long*>(data));
    if (data) XFree(data);
    return result;
  };
  const ::Window check = checkWindow(root_);
  if (!check) return false;
  // A stale property names a window that no longer exists: reading it fails.
  XErrorTrap trap(dpy_);
  const bool running = checkWindow(check) == check;
  return !trap.Failed() && running;
}

UINT X11BackendImpl::ReadDpi() {
  // Xft.dpi in the resource database, which desktops set for their scaling; 96 otherwise.
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  UINT dpi = 96;
  if (XGetWindowProperty(dpy_, root_, atoms_[kResourceManager], 0, 1 << 20, False, XA_STRING, &type, &format,
                         &count, &after, &data) == Success &&
      data) {
    std::string text(reinterpret_cast<char*>(data), count);
    size_t pos = 0;
    while (pos < text.size()) {
      size_t end = text.find('\n', pos);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(pos, end - pos);
      pos = end + 1;
      if (line.rfind("Xft.dpi:", 0) != 0) continue;
      const double v = std::strtod(line.c_str() + 8, nullptr);
      if (v >= 48 && v <= 960) dpi = static_cast<UINT>(std::lround(v));
    }
  }
  if (data) XFree(data);
  return dpi;
}

RECT X11BackendImpl::ReadWorkArea(const RECT& screen) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  RECT work = screen;
  if (XGetWindowProperty(dpy_, root_, atoms_[kNetWorkarea], 0, 4, False, XA_CARDINAL, &type, &format, &count,
                         &after, &data) == Success &&
      data && format == 32 && count >= 4) {
    const long* v = reinterpret_cast<const long*>(data);
    RECT r{static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[0] + v[2]),
           static_cast<int>(v[1] + v[3])};
    r = RectIntersection(r, screen);
    if (!r.IsEmpty()) work = r;
  }
  if (data) XFree(data);
  return work;
}

void X11BackendImpl::UpdateMonitors() {
  const RECT screen{0, 0, DisplayWidth(dpy_, screen_), DisplayHeight(dpy_, screen_)};
  os::MonitorDesc m;
  m.rect = screen;
  m.work = ReadWorkArea(screen);
  m.dpi = dpi_ = ReadDpi();
  os::SetSystemDpi(dpi_);
  const std::vector<os::MonitorDesc> now = os::GetMonitors();
  if (now.size() == 1 && now[0].rect == m.rect && now[0].work == m.work && now[0].dpi == m.dpi) return;
  os::SetMonitors({m});
}

// ---- Windows --------------------------------------------------------------------------------------

XWin* X11BackendImpl::Find(HWND hwnd) {
  auto it = windows_.find(hwnd);
  return it == windows_.end() ? nullptr : &it->second;
}

const XWin* X11BackendImpl::Find(HWND hwnd) const {
  auto it = windows_.find(hwnd);
  return it == windows_.end() ? nullptr : &it->second;
}

XWin* X11BackendImpl::FindX(::Window id) {
  auto it = byX_.find(id);
  return it == byX_.end() ? nullptr : Find(it->second);
}

unsigned long X11BackendImpl::XWindowOf(HWND hwnd) const {
  std::lock_guard lock(mutex_);
  const XWin* w = Find(hwnd);
  return w ? w->id : 0;
}

RECT X11BackendImpl::ViewOf(HWND hwnd) const {
  std::lock_guard lock(mutex_);
  const XWin* w = Find(hwnd);
  return w ? w->view : RECT{};
}

bool X11BackendImpl::ReadXWindowPixels(HWND hwnd, os::WindowPixels& out) {
  std::lock_guard lock(mutex_);
  const XWin* w = Find(hwnd);
  if (lost_ || !w || !w->id) return false;
  XSync(dpy_, False);
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(dpy_, w->id, &attributes) || attributes.map_state != IsViewable ||
      attributes.width <= 0 || attributes.height <= 0)
    return false;
  XImage* image = XGetImage(dpy_, w->id, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (!image) return false;
  // Each channel scaled from its mask to 8 bits.
  auto channel = [](unsigned long pixel, unsigned long mask) -> uint32_t {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const unsigned long max = mask >> shift;
    return static_cast<uint32_t>(((pixel & mask) >> shift) * 255 / max);
  };
  out.width = attributes.width;
  out.height = attributes.height;
  out.pixels.assign(static_cast<size_t>(out.width) * out.height, 0);
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) {
      const unsigned long p = XGetPixel(image, x, y);
      out.pixels[static_cast<size_t>(y) * out.width + x] = 0xFF000000u | channel(p, image->red_mask) << 16 |
                                                           channel(p, image->green_mask) << 8 |
                                                           channel(p, image->blue_mask);
    }
  XDestroyImage(image);
  return true;
}

void X11BackendImpl::WindowCreated(HWND hwnd) {
  std::lock_guard lock(mutex_);
  XWin& w = windows_[hwnd];
  w.hwnd = hwnd;
}

void X11BackendImpl::CreateXWindow(XWin& w, const Kind& k, const Placement& p) {
  const bool argb = k.layered && haveArgb_ && XGetSelectionOwner(dpy_, cmSelection_) != 0;
  XSetWindowAttributes a{};
  unsigned long mask = CWEventMask | CWBitGravity | CWOverrideRedirect | CWBackPixmap | CWBorderPixel;
  a.event_mask = kWindowEvents;
  a.bit_gravity = NorthWestGravity;
  a.override_redirect = k.overrideRedirect ? True : False;
  a.background_pixmap = 0;
  a.border_pixel = 0;
  w.argb = argb;
  if (argb) {
    w.visual = argbVisual_.visual;
    w.depth = 32;
    w.colormap = XCreateColormap(dpy_, root_, w.visual, AllocNone);
    a.colormap = w.colormap;
    mask |= CWColormap;
  } else {
    w.visual = DefaultVisual(dpy_, screen_);
    w.depth = DefaultDepth(dpy_, screen_);
  }
  if (cursor_) {
    a.cursor = cursor_;
    mask |= CWCursor;
  }
  w.id = XCreateWindow(dpy_, root_, p.xrect.Left, p.xrect.Top, static_cast<unsigned>(p.xrect.Width()),
                       static_cast<unsigned>(p.xrect.Height()), 0, w.depth, InputOutput, w.visual, mask, &a);
  w.overrideRedirect = k.overrideRedirect;
  w.view = p.view;
  w.xrect = p.xrect;
  w.shape.clear();
  w.shaped = false;
  w.gc = XCreateGC(dpy_, w.id, 0, nullptr);
  byX_[w.id] = w.hwnd;
  NoteXWindowCreated(dpy_, w.id);

  XClassHint cls;
  std::string name = program_invocation_short_name ? program_invocation_short_name : "quarrendelvish";
  std::string klass = "Quarrendelvish";
  cls.res_name = name.data();
  cls.res_class = klass.data();
  XSetClassHint(dpy_, w.id, &cls);
  Atom protocols[] = {atoms_[kWmDeleteWindow]};
  XSetWMProtocols(dpy_, w.id, protocols, 1);
  long pid = static_cast<long>(getpid());
  XChangeProperty(dpy_, w.id, atoms_[kNetWmPid], XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&pid), 1);
  if (im_) {
    w.ic = XCreateIC(im_, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, w.id,
                     XNFocusWindow, w.id, nullptr);
    if (w.ic) {
      long filter = 0;
      if (!XGetICValues(w.ic, XNFilterEvents, &filter, nullptr) && (filter & ~kWindowEvents))
        XSelectInput(dpy_, w.id, kWindowEvents | filter);
    }
  }
  ApplyTitle(w);
  ApplyIcon(w);
}

void X11BackendImpl::DestroyXWindow(XWin& w) {
  if (!w.id) return;
  if (w.ic) XDestroyIC(w.ic);
  if (w.gc) XFreeGC(dpy_, w.gc);
  byX_.erase(w.id);
  XDestroyWindow(dpy_, w.id);
  NoteXWindowDestroyed(dpy_, w.id);
  if (w.colormap) XFreeColormap(dpy_, w.colormap);
  w.ic = nullptr;
  w.gc = nullptr;
  w.id = 0;
  w.colormap = 0;
  w.mapped = false;
  w.placePending = false;
}

void X11BackendImpl::WindowDestroyed(HWND hwnd) {
  std::lock_guard lock(mutex_);
  if (XWin* w = Find(hwnd)) {
    DestroyXWindow(*w);
    windows_.erase(hwnd);
    XFlush(dpy_);
  }
}

void X11BackendImpl::ApplyTitle(XWin& w) {
  if (!w.id) return;
  const std::string utf8 = StringToUtf8(w.title);
  XChangeProperty(dpy_, w.id, atoms_[kNetWmName], atoms_[kUtf8String], 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(utf8.data()), static_cast<int>(utf8.size()));
  // WM_NAME is Latin-1 text.
  std::string latin1;
  for (Char c : w.title) latin1 += c < 0x100 ? static_cast<char>(c) : '?';
  XChangeProperty(dpy_, w.id, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(latin1.data()), static_cast<int>(latin1.size()));
}

void X11BackendImpl::ApplyIcon(XWin& w) {
  if (!w.id) return;
  HICON icon = w.icon ? w.icon : reinterpret_cast<HICON>(GetClassLongPtrW(w.hwnd, GCLP_HICON));
  os::WindowPixels image;
  POINT hotspot{};
  if (!icon || !os::GetCursorImage(icon, image, hotspot) || image.width <= 0 || image.height <= 0) {
    XDeleteProperty(dpy_, w.id, atoms_[kNetWmIcon]);
    return;
  }
  // Width, height, then non-premultiplied ARGB rows; format 32 travels as longs.
  std::vector<unsigned long> data;
  data.reserve(2 + image.pixels.size());
  data.push_back(static_cast<unsigned long>(image.width));
  data.push_back(static_cast<unsigned long>(image.height));
  for (uint32_t p : image.pixels) {
    const uint32_t a = p >> 24;
    if (a == 0) {
      data.push_back(0);
      continue;
    }
    auto un = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
    data.push_back((a << 24) | (un((p >> 16) & 0xFF) << 16) | (un((p >> 8) & 0xFF) << 8) | un(p & 0xFF));
  }
  XChangeProperty(dpy_, w.id, atoms_[kNetWmIcon], XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(data.data()), static_cast<int>(data.size()));
}

void X11BackendImpl::ApplyHints(XWin& w, const Kind& k, const Placement& p) {
  w.decorated = k.decorated;
  w.topmost = (k.exStyle & WS_EX_TOPMOST) != 0;
  if (k.overrideRedirect) return;
  const bool resizable = (k.style & WS_THICKFRAME) != 0;
  unsigned long functions = kMwmFuncMove;
  unsigned long decorations = 0;
  if (resizable) functions |= kMwmFuncResize;
  if (k.style & WS_SYSMENU) functions |= kMwmFuncClose;
  if (k.style & WS_MINIMIZEBOX) functions |= kMwmFuncMinimize;
  if (k.style & WS_MAXIMIZEBOX) functions |= kMwmFuncMaximize;
  if (k.decorated) {
    decorations = kMwmDecorBorder | kMwmDecorTitle;
    if (resizable) decorations |= kMwmDecorResizeh;
    if (k.style & WS_SYSMENU) decorations |= kMwmDecorMenu;
    if (k.style & WS_MINIMIZEBOX) decorations |= kMwmDecorMinimize;
    if (k.style & WS_MAXIMIZEBOX) decorations |= kMwmDecorMaximize;
  }
  long motif[5] = {static_cast<long>(kMwmHintsFunctions | kMwmHintsDecorations), static_cast<long>(functions),
                   static_cast<long>(decorations), 0, 0};
  XChangeProperty(dpy_, w.id, atoms_[kMotifWmHints], atoms_[kMotifWmHints], 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(motif), 5);

  XSizeHints* size = XAllocSizeHints();
  // Our window manager has placed the window: the X window manager keeps that place, with the
  // client area where we put it (static gravity) when it adds a frame.
  size->flags = USPosition | PPosition | USSize | PSize | PWinGravity;
  size->x = p.xrect.Left;
  size->y = p.xrect.Top;
  size->width = p.xrect.Width();
  size->height = p.xrect.Height();
  size->win_gravity = k.decorated ? StaticGravity : NorthWestGravity;
  if (!resizable) {
    size->flags |= PMinSize | PMaxSize;
    size->min_width = size->max_width = p.xrect.Width();
    size->min_height = size->max_height = p.xrect.Height();
  }
  XSetWMNormalHints(dpy_, w.id, size);
  XFree(size);

  XWMHints* hints = XAllocWMHints();
  hints->flags = InputHint | StateHint;
  hints->input = (k.exStyle & WS_EX_NOACTIVATE) ? False : True;
  hints->initial_state = NormalState;
  XSetWMHints(dpy_, w.id, hints);
  XFree(hints);

  const XWin* owner = k.owner ? Find(k.owner) : nullptr;
  if (owner && owner->id)
    XSetTransientForHint(dpy_, w.id, owner->id);
  else
    XDeleteProperty(dpy_, w.id, XA_WM_TRANSIENT_FOR);

  Atom type = atoms_[kNetWmWindowTypeNormal];
  if (k.exStyle & WS_EX_TOOLWINDOW)
    type = atoms_[kNetWmWindowTypeUtility];
  else if (k.owner && k.caption)
    type = atoms_[kNetWmWindowTypeDialog];
  XChangeProperty(dpy_, w.id, atoms_[kNetWmWindowType], XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&type), 1);

  std::vector<Atom> states;
  if (w.topmost) states.push_back(atoms_[kNetWmStateAbove]);
  if ((k.exStyle & WS_EX_TOOLWINDOW) || (k.owner && !(k.exStyle & WS_EX_APPWINDOW)))
    states.push_back(atoms_[kNetWmStateSkipTaskbar]);
  XChangeProperty(dpy_, w.id, atoms_[kNetWmState], XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(states.data()), static_cast<int>(states.size()));
}

void X11BackendImpl::SendNetWmState(XWin& w, bool add, Atom state) {
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = w.id;
  ev.xclient.message_type = atoms_[kNetWmState];
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = add ? 1 : 0;
  ev.xclient.data.l[1] = static_cast<long>(state);
  ev.xclient.data.l[3] = 1;
  XSendEvent(dpy_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
}

void X11BackendImpl::Configure(XWin& w, const Placement& p) {
  w.view = p.view;
  if (p.xrect == w.xrect) return;
  const bool sized = p.xrect.Width() != w.xrect.Width() || p.xrect.Height() != w.xrect.Height();
  w.xrect = p.xrect;
  if (sized && !w.overrideRedirect) {
    XSizeHints* size = XAllocSizeHints();
    long supplied = 0;
    XGetWMNormalHints(dpy_, w.id, size, &supplied);
    if (size->flags & PMaxSize) {
      size->min_width = size->max_width = p.xrect.Width();
      size->min_height = size->max_height = p.xrect.Height();
      XSetWMNormalHints(dpy_, w.id, size);
    }
    XFree(size);
  }
  w.configureSerial = NextRequest(dpy_);
  XMoveResizeWindow(dpy_, w.id, p.xrect.Left, p.xrect.Top, static_cast<unsigned>(p.xrect.Width()),
                    static_cast<unsigned>(p.xrect.Height()));
}

void X11BackendImpl::WindowShown(HWND hwnd, bool visible) {
  if (lost_) return;
  if (!visible) {
    std::lock_guard lock(mutex_);
    XWin* w = Find(hwnd);
    if (!w || !w->id || !w->mapped) return;
    if (w->overrideRedirect)
      XUnmapWindow(dpy_, w->id);
    else
      XWithdrawWindow(dpy_, w->id, screen_);
    w->mapped = false;
    w->placePending = false;
    XFlush(dpy_);
    return;
  }
  Kind k = KindOf(hwnd);
  {
    std::lock_guard lock(mutex_);
    // Without an X window manager nobody would draw a frame: ours shows instead.
    if (k.decorated && !WindowManagerRunning()) k.decorated = false;
  }
  const Placement p = PlacementOf(hwnd, k.decorated);
  std::lock_guard lock(mutex_);
  XWin* w = Find(hwnd);
  if (!w) return;
  const bool argb = k.layered && haveArgb_ && XGetSelectionOwner(dpy_, cmSelection_) != 0;
  if (w->id && (w->overrideRedirect != k.overrideRedirect || w->argb != argb)) DestroyXWindow(*w);
  if (!w->id) CreateXWindow(*w, k, p);
  if (w->mapped) return;
  ApplyHints(*w, k, p);
  Configure(*w, p);
  w->mapped = true;
  w->placePending = !w->overrideRedirect;
  if (w->overrideRedirect)
    XMapRaised(dpy_, w->id);
  else
    XMapWindow(dpy_, w->id);
  XFlush(dpy_);
}

void X11BackendImpl::WindowMoved(HWND hwnd, const RECT&) {
  if (lost_) return;
  bool decorated;
  {
    std::lock_guard lock(mutex_);
    XWin* w = Find(hwnd);
    if (!w || !w->id) return;
    decorated = w->decorated;
  }
  const Placement p = PlacementOf(hwnd, decorated);
  std::lock_guard lock(mutex_);
  XWin* w = Find(hwnd);
  if (!w || !w->id) return;
  Configure(*w, p);
  XFlush(dpy_);
}

void X11BackendImpl::WindowTitleChanged(HWND hwnd, const String& title) {
  std::lock_guard lock(mutex_);
  if (XWin* w = Find(hwnd)) {
    w->title = title;
    ApplyTitle(*w);
    XFlush(dpy_);
  }
}

void X11BackendImpl::WindowIconChanged(HWND hwnd, HICON icon) {
  std::lock_guard lock(mutex_);
  if (XWin* w = Find(hwnd)) {
    w->icon = icon;
    ApplyIcon(*w);
    XFlush(dpy_);
  }
}

void X11BackendImpl::WindowShapeChanged(HWND hwnd) {
  if (lost_) return;
  const Kind k = KindOf(hwnd);
  bool remap = false;
  {
    std::lock_guard lock(mutex_);
    XWin* w = Find(hwnd);
    if (!w || !w->id) return;
    const bool argb = k.layered && haveArgb_ && XGetSelectionOwner(dpy_, cmSelection_) != 0;
    if (argb != w->argb) {
      // The visual of an X window is fixed: make a new one.
      remap = w->mapped;
      DestroyXWindow(*w);
    } else {
      const bool topmost = (k.exStyle & WS_EX_TOPMOST) != 0;
      if (topmost != w->topmost) {
        w->topmost = topmost;
        if (w->overrideRedirect) {
          if (topmost) XRaiseWindow(dpy_, w->id);
        } else if (w->mapped) {
          SendNetWmState(*w, topmost, atoms_[kNetWmStateAbove]);
        }
      }
    }
  }
  if (remap) {
    WindowShown(hwnd, true);
    return;
  }
  std::lock_guard lock(mutex_);
  XWin* w = Find(hwnd);
  if (!w || !w->id) return;
  PushComposed(*w, w->view, k.layered);
  XFlush(dpy_);
}

// ---- Pixels ---------------------------------------------------------------------------------------

void X11BackendImpl::PutPixels(XWin& w, const uint32_t* data, int stride, int height, int srcX, int srcY,
                               int dstX, int dstY, int width, int rows) {
  if (width <= 0 || rows <= 0) return;
  const bool fast = w.argb ? fastPathArgb_ : fastPath_;
  if (fast) {
    XImage* image =
        XCreateImage(dpy_, w.visual, static_cast<unsigned>(w.depth), ZPixmap, 0,
                     reinterpret_cast<char*>(const_cast<uint32_t*>(data)), static_cast<unsigned>(stride),
                     static_cast<unsigned>(height), 32, stride * 4);
    if (!image) return;
    image->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
    XPutImage(dpy_, w.id, w.gc, image, srcX, srcY, dstX, dstY, static_cast<unsigned>(width),
              static_cast<unsigned>(rows));
    image->data = nullptr;
    XDestroyImage(image);
    return;
  }
  // Any other visual: convert pixel by pixel.
  XImage* image = XCreateImage(dpy_, w.visual, static_cast<unsigned>(w.depth), ZPixmap, 0, nullptr,
                               static_cast<unsigned>(width), static_cast<unsigned>(rows), 32, 0);
  if (!image) return;
  image->data = static_cast<char*>(std::malloc(static_cast<size_t>(image->bytes_per_line) * rows));
  if (!image->data) {
    XDestroyImage(image);
    return;
  }
  auto channel = [](uint32_t value, unsigned long mask) -> unsigned long {
    if (!mask) return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    return (static_cast<unsigned long>(value >> (8 - std::min(bits, 8))) << shift) & mask;
  };
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < width; ++x) {
      const uint32_t p = data[static_cast<size_t>(srcY + y) * stride + srcX + x];
      const unsigned long pixel = channel((p >> 16) & 0xFF, w.visual->red_mask) |
                                  channel((p >> 8) & 0xFF, w.visual->green_mask) |
                                  channel(p & 0xFF, w.visual->blue_mask);
      XPutPixel(image, x, y, pixel);
    }
  XPutImage(dpy_, w.id, w.gc, image, 0, 0, dstX, dstY, static_cast<unsigned>(width),
            static_cast<unsigned>(rows));
  XDestroyImage(image);
}

void X11BackendImpl::PushRaw(XWin& w, const uint32_t* pixels, int stride, int height, const RECT& area) {
  const RECT a = RectIntersection(RectIntersection(area, w.view), RECT{0, 0, stride, height});
  if (a.IsEmpty()) return;
  PutPixels(w, pixels, stride, height, a.Left, a.Top, a.Left - w.view.Left, a.Top - w.view.Top, a.Width(),
            a.Height());
}

void X11BackendImpl::UpdateShape(XWin& w, const os::WindowPixels& px) {
  if (!haveShape_) return;
  // Bands of rows with the same runs of visible pixels.
  std::vector<ShapeRect> rects;
  std::vector<std::pair<int, int>> runs, previous;
  size_t bandStart = 0;
  const RECT v = RectIntersection(w.view, RECT{0, 0, px.width, px.height});
  for (int y = v.Top; y < v.Bottom; ++y) {
    runs.clear();
    for (int x = v.Left; x < v.Right;) {
      if ((px.At(x, y) >> 24) == 0) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < v.Right && (px.At(x, y) >> 24) != 0) ++x;
      runs.emplace_back(start - v.Left, x - start);
    }
    if (y > v.Top && runs == previous) {
      for (size_t i = bandStart; i < rects.size(); ++i) ++rects[i].h;
      continue;
    }
    bandStart = rects.size();
    for (auto& [x, len] : runs) rects.push_back(ShapeRect{x, y - v.Top, len, 1});
    previous = runs;
  }
  const bool full = rects.size() == 1 && rects[0] == ShapeRect{0, 0, v.Width(), v.Height()};
  if (full) {
    if (w.shaped) XShapeCombineMask(dpy_, w.id, ShapeBounding, 0, 0, 0, ShapeSet);
    w.shaped = false;
    w.shape.clear();
    return;
  }
  if (w.shaped && rects == w.shape) return;
  std::vector<XRectangle> xr;
  xr.reserve(rects.size());
  for (const ShapeRect& r : rects)
    xr.push_back(XRectangle{static_cast<short>(r.x), static_cast<short>(r.y),
                            static_cast<unsigned short>(r.w), static_cast<unsigned short>(r.h)});
  XShapeCombineRectangles(dpy_, w.id, ShapeBounding, 0, 0, xr.data(), static_cast<int>(xr.size()), ShapeSet,
                          YXBanded);
  w.shape = std::move(rects);
  w.shaped = true;
}

// Pushes what the screen would show: the window region, colour key and alpha applied. Per-pixel
// alpha goes to the compositor through an ARGB window; otherwise the visible pixels become the
// window's shape and show opaque.
void X11BackendImpl::PushComposed(XWin& w, const RECT& area, bool layered) {
  os::WindowPixels px = os::ReadWindowPixels(w.hwnd, true);
  if (px.width <= 0 || px.height <= 0) return;
  if (!w.argb) {
    for (uint32_t& p : px.pixels) {
      const uint32_t a = p >> 24;
      if (a == 0 || a == 255) continue;
      auto un = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
      p = (a << 24) | (un((p >> 16) & 0xFF) << 16) | (un((p >> 8) & 0xFF) << 8) | un(p & 0xFF);
    }
    UpdateShape(w, px);
  }
  PushRaw(w, px.pixels.data(), px.width, px.height, area);
}

void X11BackendImpl::Present(HWND hwnd, const gdi::Surface& surface, const RECT& dirty) {
  if (lost_) return;
  bool decorated;
  {
    std::lock_guard lock(mutex_);
    XWin* w = Find(hwnd);
    if (!w || !w->id) return;
    decorated = w->decorated;
  }
  // The client area can change without a move (a new frame style): follow it here.
  const Placement p = PlacementOf(hwnd, decorated);
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE));
  RECT box;
  const bool region = GetWindowRgnBox(hwnd, &box) != ERROR;
  std::lock_guard lock(mutex_);
  XWin* w = Find(hwnd);
  if (!w || !w->id) return;
  Configure(*w, p);
  const bool layered = (exStyle & WS_EX_LAYERED) != 0;
  if (layered || region || w->argb || w->shaped)
    PushComposed(*w, dirty, layered);
  else
    PushRaw(*w, surface.pixels.data(), surface.width, surface.height, dirty);
  XFlush(dpy_);
}

void X11BackendImpl::Repush(HWND hwnd, const RECT& area) {
  std::lock_guard lock(mutex_);
  XWin* w = Find(hwnd);
  if (!w || !w->id) return;
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE));
  RECT box;
  const bool region = GetWindowRgnBox(hwnd, &box) != ERROR;
  const bool layered = (exStyle & WS_EX_LAYERED) != 0;
  if (layered || region || w->argb || w->shaped) {
    PushComposed(*w, area, layered);
  } else {
    os::WindowPixels px = os::ReadWindowPixels(hwnd, false);
    PushRaw(*w, px.pixels.data(), px.width, px.height, area);
  }
}

// ---- Cursor ---------------------------------------------------------------------------------------

Cursor X11BackendImpl::MakeCursor(HCURSOR cursor, bool& owned) {
  owned = false;
  if (!cursor) {
    if (!blankCursor_) {
      char zero[1] = {0};
      Pixmap blank = XCreateBitmapFromData(dpy_, root_, zero, 1, 1);
      XColor black{};
      blankCursor_ = XCreatePixmapCursor(dpy_, blank, blank, &black, &black, 0, 0);
      XFreePixmap(dpy_, blank);
    }
    return blankCursor_;
  }
  unsigned shape = 0;
  switch (os::SystemCursorId(cursor)) {
    case 32512:
      shape = XC_left_ptr;
      break;
    case 32513:
      shape = XC_xterm;
      break;
    case 32514:
    case 32650:
      shape = XC_watch;
      break;
    case 32515:
      shape = XC_crosshair;
      break;
    case 32516:
      shape = XC_sb_up_arrow;
      break;
    case 32640:
    case 32646:
      shape = XC_fleur;
      break;
    case 32641:
      shape = XC_icon;
      break;
    case 32642:
      shape = XC_bottom_right_corner;
      break;
    case 32643:
      shape = XC_bottom_left_corner;
      break;
    case 32644:
      shape = XC_sb_h_double_arrow;
      break;
    case 32645:
      shape = XC_sb_v_double_arrow;
      break;
    case 32648:
      shape = XC_X_cursor;
      break;
    case 32649:
      shape = XC_hand2;
      break;
    case 32651:
      shape = XC_question_arrow;
      break;
    default:
      break;
  }
  if (shape) {
    auto it = fontCursors_.find(shape);
    if (it != fontCursors_.end()) return it->second;
    Cursor c = XCreateFontCursor(dpy_, shape);
    fontCursors_[shape] = c;
    return c;
  }
  // Our own cursor as a two-colour X cursor: dark pixels black, light ones white.
  os::WindowPixels image;
  POINT hot{};
  if (!os::GetCursorImage(cursor, image, hot) || image.width <= 0 || image.height <= 0)
    return MakeCursor(nullptr, owned);
  const int rowBytes = (image.width + 7) / 8;
  std::vector<char> source(static_cast<size_t>(rowBytes) * image.height, 0), mask(source.size(), 0);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const uint32_t p = image.At(x, y);
      const uint32_t a = p >> 24;
      if (a < 128) continue;
      const size_t byte = static_cast<size_t>(y) * rowBytes + x / 8;
      mask[byte] = static_cast<char>(mask[byte] | (1 << (x % 8)));
      const uint32_t lum = (((p >> 16) & 0xFF) * 30 + ((p >> 8) & 0xFF) * 59 + (p & 0xFF) * 11) / 100;
      if (lum * 255 < 128 * a) source[byte] = static_cast<char>(source[byte] | (1 << (x % 8)));
    }
  Pixmap src = XCreateBitmapFromData(dpy_, root_, source.data(), static_cast<unsigned>(image.width),
                                     static_cast<unsigned>(image.height));
  Pixmap msk = XCreateBitmapFromData(dpy_, root_, mask.data(), static_cast<unsigned>(image.width),
                                     static_cast<unsigned>(image.height));
  XColor fg{}, bg{};
  bg.red = bg.green = bg.blue = 0xFFFF;
  Cursor c = XCreatePixmapCursor(dpy_, src, msk, &fg, &bg,
                                 static_cast<unsigned>(std::clamp(hot.X, 0, image.width - 1)),
                                 static_cast<unsigned>(std::clamp(hot.Y, 0, image.height - 1)));
  XFreePixmap(dpy_, src);
  XFreePixmap(dpy_, msk);
  owned = true;
  return c;
}

void X11BackendImpl::CursorChanged(HCURSOR cursor) {
  if (lost_) return;
  std::lock_guard lock(mutex_);
  bool owned = false;
  Cursor c = MakeCursor(cursor, owned);
  if (c == cursor_) return;
  for (auto& [hwnd, w] : windows_)
    if (w.id) XDefineCursor(dpy_, w.id, c);
  if (cursorOwned_ && cursor_) XFreeCursor(dpy_, cursor_);
  cursor_ = c;
  cursorOwned_ = owned;
  XFlush(dpy_);
}

// ---- Events ---------------------------------------------------------------------------------------

void X11BackendImpl::Wake() {
  const uint64_t one = 1;
  [[maybe_unused]] ssize_t n = write(wakeFd_, &one, sizeof one);
}

void X11BackendImpl::WaitForEvents(int timeoutMs) {
  if (ProcessPending()) return;
  if (lost_ && !quitPosted_) {
    // The application ends through its own shut-down, as if asked to quit.
    quitPosted_ = true;
    PostQuitMessage(1);
    return;
  }
  {
    // While the user drags a frame, the end of the drag (the buttons going up) is looked for
    // every few milliseconds: it comes as no event of ours.
    std::lock_guard lock(mutex_);
    for (auto& [hwnd, w] : windows_)
      if (w.moveSize) {
        timeoutMs = timeoutMs < 0 ? kMoveSizePollMs : std::min(timeoutMs, kMoveSizePollMs);
        break;
      }
  }
  // Without a connection only Wake() and the time-out end the wait.
  pollfd fds[3] = {{wakeFd_, POLLIN, 0},
                   {lost_ ? -1 : ConnectionNumber(dpy_), POLLIN, 0},
                   {clipboard_ ? clipboard_->Fd() : -1, POLLIN, 0}};
  const int r = poll(fds, 3, timeoutMs < 0 ? -1 : timeoutMs);
  if (r <= 0) {
    EndMoveSizeLoops(lost_);
    return;
  }
  if (fds[0].revents & POLLIN) {
    uint64_t count = 0;
    [[maybe_unused]] ssize_t n = read(wakeFd_, &count, sizeof count);
  }
  if (fds[1].revents || fds[2].revents || fds[0].revents) ProcessPending();
}

bool X11BackendImpl::ProcessPending() {
  if (lost_) return false;
  if (clipboard_) clipboard_->Process();
  bool any = false;
  for (;;) {
    XEvent ev;
    {
      std::lock_guard lock(mutex_);
      if (!XPending(dpy_)) break;
      XNextEvent(dpy_, &ev);
      if (XFilterEvent(&ev, 0)) continue;
    }
    any = true;
    HandleEvent(ev);
  }
  FinishBatch();
  return any;
}

void X11BackendImpl::SyncModifiers(unsigned state, unsigned long keysym) {
  // Modifiers pressed or released while another window had the focus.
  struct Modifier {
    unsigned mask;
    int generic, left, right;
  };
  static constexpr Modifier kModifiers[] = {{ShiftMask, VK_SHIFT, VK_LSHIFT, VK_RSHIFT},
                                            {ControlMask, VK_CONTROL, VK_LCONTROL, VK_RCONTROL},
                                            {Mod1Mask, VK_MENU, VK_LMENU, VK_RMENU}};
  for (const Modifier& m : kModifiers) {
    const bool x = (state & m.mask) != 0;
    const bool ours = (GetAsyncKeyState(m.generic) & 0x8000) != 0;
    if (x && !ours) {
      os::InjectKey(m.left, true);
    } else if (!x && ours) {
      if (GetAsyncKeyState(m.left) & 0x8000) os::InjectKey(m.left, false);
      if (GetAsyncKeyState(m.right) & 0x8000) os::InjectKey(m.right, false, 0, m.right != VK_RSHIFT);
    }
  }
  const bool caps = (state & LockMask) != 0;
  if (caps != capsOn_ && keysym != XK_Caps_Lock) {
    os::InjectKey(VK_CAPITAL, true);
    os::InjectKey(VK_CAPITAL, false);
    capsOn_ = caps;
  }
}

void X11BackendImpl::HandleEvent(XEvent& ev) {
  switch (ev.type) {
    case Expose: {
      std::lock_guard lock(mutex_);
      if (XWin* w = FindX(ev.xexpose.window)) {
        const RECT r{ev.xexpose.x + w->view.Left, ev.xexpose.y + w->view.Top,
                     ev.xexpose.x + w->view.Left + ev.xexpose.width,
                     ev.xexpose.y + w->view.Top + ev.xexpose.height};
        w->exposed = RectUnion(w->exposed, r);
      }
      break;
    }
    case ConfigureNotify:
      if (ev.xconfigure.window == root_)
        monitorsChanged_ = true;
      else
        OnConfigure(ev.xconfigure);
      break;
    case MapNotify:
      OnMapped(ev.xmap);
      break;
    case PropertyNotify:
      if (ev.xproperty.window == root_ &&
          (ev.xproperty.atom == atoms_[kNetWorkarea] || ev.xproperty.atom == atoms_[kResourceManager]))
        monitorsChanged_ = true;
      break;
    case MotionNotify: {
      // Only the newest position of a run of motion events matters.
      {
        std::lock_guard lock(mutex_);
        XEvent next;
        while (XEventsQueued(dpy_, QueuedAlready) > 0) {
          XPeekEvent(dpy_, &next);
          if (next.type != MotionNotify || next.xmotion.window != ev.xmotion.window) break;
          XNextEvent(dpy_, &ev);
        }
      }
      os::InjectMouseMove(POINT{ev.xmotion.x_root, ev.xmotion.y_root});
      break;
    }
    case ButtonPress:
    case ButtonRelease:
      OnButton(ev.xbutton);
      break;
    case EnterNotify:
    case LeaveNotify:
      if (ev.xcrossing.mode == NotifyNormal && ev.xcrossing.detail != NotifyInferior)
        os::InjectMouseMove(POINT{ev.xcrossing.x_root, ev.xcrossing.y_root});
      break;
    case KeyPress:
    case KeyRelease:
      OnKey(ev.xkey);
      break;
    case FocusIn:
      OnFocusIn(ev.xfocus);
      break;
    case FocusOut:
      if ((ev.xfocus.mode == NotifyNormal || ev.xfocus.mode == NotifyWhileGrabbed) &&
          ev.xfocus.detail != NotifyPointer && ev.xfocus.detail != NotifyPointerRoot &&
          ev.xfocus.detail != NotifyDetailNone && ev.xfocus.detail != NotifyInferior) {
        std::lock_guard lock(mutex_);
        if (XWin* w = FindX(ev.xfocus.window); w && w->ic) XUnsetICFocus(w->ic);
        focusCheck_ = true;
      }
      break;
    case ClientMessage:
      OnClientMessage(ev.xclient);
      break;
    case MappingNotify:
      if (ev.xmapping.request != MappingPointer) XRefreshKeyboardMapping(&ev.xmapping);
      break;
    default:
      break;
  }
}

void X11BackendImpl::OnMapped(const XMapEvent& ev) {
  std::lock_guard lock(mutex_);
  XWin* w = FindX(ev.window);
  if (!w || !w->placePending) return;
  w->placePending = false;
  // The X window manager may have placed the window itself: put it back where ours did.
  int x = 0, y = 0;
  ::Window child = 0;
  if (!XTranslateCoordinates(dpy_, w->id, root_, 0, 0, &x, &y, &child)) return;
  if (x == w->xrect.Left && y == w->xrect.Top) return;
  w->configureSerial = NextRequest(dpy_);
  XMoveWindow(dpy_, w->id, w->xrect.Left, w->xrect.Top);
}

void X11BackendImpl::OnConfigure(const XConfigureEvent& ev) {
  HWND hwnd;
  RECT view, xr;
  {
    std::lock_guard lock(mutex_);
    XWin* w = FindX(ev.window);
    if (!w || !w->mapped || w->placePending) return;
    // Older than our last request: the X server has not seen that request yet.
    if (ev.serial < w->configureSerial) return;
    int x = ev.x, y = ev.y;
    if (!ev.send_event) {
      // A real event from a reparenting window manager is relative to its frame.
      ::Window child = 0;
      if (!XTranslateCoordinates(dpy_, w->id, root_, 0, 0, &x, &y, &child)) return;
    }
    xr = RECT{x, y, x + ev.width, y + ev.height};
    if (xr == w->xrect) return;
    w->xrect = xr;
    hwnd = w->hwnd;
    view = w->view;
  }
  // Moved or resized by the user or the X window manager: our window follows.
  RECT window;
  if (!GetWindowRect(hwnd, &window)) return;
  const int x = xr.Left - view.Left, y = xr.Top - view.Top;
  const int cx = window.Width() + (xr.Width() - std::max(1, view.Width()));
  const int cy = window.Height() + (xr.Height() - std::max(1, view.Height()));
  RECT proposed{x, y, x + cx, y + cy};
  const bool moved = x != window.Left || y != window.Top;
  const bool sized = cx != window.Width() || cy != window.Height();
  if (!moved && !sized) return;
  // A mouse button held while the X window manager moves or sizes the window: the user drags
  // its frame. That is a move or size loop of ours, and the window may correct each step.
  if (PointerButtonsDown()) {
    bool entering = false;
    {
      std::lock_guard lock(mutex_);
      XWin* w = Find(hwnd);
      if (!w) return;
      entering = !w->moveSize;
      w->moveSize = true;
    }
    if (entering) SendMessageW(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    if (!IsWindow(hwnd)) return;
    if (sized) {
      const bool left = proposed.Left != window.Left, top = proposed.Top != window.Top;
      const WPARAM edge =
          top ? (left ? WMSZ_TOPLEFT : WMSZ_TOPRIGHT) : (left ? WMSZ_BOTTOMLEFT : WMSZ_BOTTOMRIGHT);
      // An edge alone when only one direction changed.
      const bool wide = cx != window.Width(), tall = cy != window.Height();
      const WPARAM single = !tall   ? (left ? WMSZ_LEFT : WMSZ_RIGHT)
                            : !wide ? (top ? WMSZ_TOP : WMSZ_BOTTOM)
                                    : edge;
      SendMessageW(hwnd, WM_SIZING, single, reinterpret_cast<LPARAM>(&proposed));
    } else {
      SendMessageW(hwnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&proposed));
    }
    if (!IsWindow(hwnd)) return;
  }
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  if (proposed.Left == window.Left && proposed.Top == window.Top) flags |= SWP_NOMOVE;
  if (proposed.Width() == window.Width() && proposed.Height() == window.Height()) flags |= SWP_NOSIZE;
  if ((flags & SWP_NOMOVE) && (flags & SWP_NOSIZE)) {
    // The window kept its place against the X window manager's move: the X window goes back.
    WindowMoved(hwnd, window);
    return;
  }
  // A corrected rectangle reaches the X window through the move's report (WindowMoved).
  SetWindowPos(hwnd, nullptr, proposed.Left, proposed.Top, proposed.Width(), proposed.Height(), flags);
}

bool X11BackendImpl::PointerButtonsDown() {
  std::lock_guard lock(mutex_);
  if (lost_) return false;
  ::Window root = 0, child = 0;
  int rx = 0, ry = 0, wx = 0, wy = 0;
  unsigned mask = 0;
  if (!XQueryPointer(dpy_, root_, &root, &child, &rx, &ry, &wx, &wy, &mask)) return false;
  return (mask & (Button1Mask | Button2Mask | Button3Mask)) != 0;
}

// The loops end when the buttons are up again (or the windows go).
void X11BackendImpl::EndMoveSizeLoops(bool force) {
  std::vector<HWND> ended;
  {
    std::lock_guard lock(mutex_);
    for (auto& [hwnd, w] : windows_)
      if (w.moveSize) ended.push_back(hwnd);
  }
  if (ended.empty() || (!force && PointerButtonsDown())) return;
  for (HWND hwnd : ended) {
    {
      std::lock_guard lock(mutex_);
      if (XWin* w = Find(hwnd)) w->moveSize = false;
    }
    if (IsWindow(hwnd)) SendMessageW(hwnd, WM_EXITSIZEMOVE, 0, 0);
  }
}

void X11BackendImpl::OnButton(const XButtonEvent& ev) {
  SyncModifiers(ev.state, 0);
  const POINT pt{ev.x_root, ev.y_root};
  const bool down = ev.type == ButtonPress;
  switch (ev.button) {
    case Button1:
      os::InjectMouseButton(down ? WM_LBUTTONDOWN : WM_LBUTTONUP, pt);
      break;
    case Button2:
      os::InjectMouseButton(down ? WM_MBUTTONDOWN : WM_MBUTTONUP, pt);
      break;
    case Button3:
      os::InjectMouseButton(down ? WM_RBUTTONDOWN : WM_RBUTTONUP, pt);
      break;
    case Button4:
    case Button5:
      if (down) os::InjectMouseWheel(pt, ev.button == Button4 ? WHEEL_DELTA : -WHEEL_DELTA);
      break;
    case 6:
    case 7:
      if (down) os::InjectMouseWheel(pt, ev.button == 7 ? WHEEL_DELTA : -WHEEL_DELTA, true);
      break;
    case 8:
    case 9:
      os::InjectMouseButton(down ? WM_XBUTTONDOWN : WM_XBUTTONUP, pt, ev.button == 8 ? XBUTTON1 : XBUTTON2);
      break;
    default:
      break;
  }
}

void X11BackendImpl::OnKey(XKeyEvent& ev) {
  const bool down = ev.type == KeyPress;
  char buffer[64];
  KeySym keysym = 0;
  int length = 0;
  bool utf8 = false;
  {
    std::lock_guard lock(mutex_);
    XWin* w = FindX(ev.window);
    if (down && w && w->ic) {
      Status status = 0;
      length = Xutf8LookupString(w->ic, &ev, buffer, sizeof buffer - 1, &keysym, &status);
      if (status == XBufferOverflow) length = 0;
      if (status == XLookupNone) length = 0;
      utf8 = true;
    } else {
      length = XLookupString(&ev, buffer, sizeof buffer - 1, &keysym, nullptr);
    }
  }
  const KeySym base = XLookupKeysym(&ev, 0);
  SyncModifiers(ev.state, base);

  if (!down) {
    PressedKey key;
    auto it = pressed_.find(ev.keycode);
    if (it != pressed_.end()) {
      key = it->second;
      pressed_.erase(it);
    } else {
      key.vk = KeysymToVk(IsKeypadKey(base) ? keysym : base, key.extended);
    }
    if (!key.packet.empty()) {
      for (Char c : key.packet) os::InjectKey(VK_PACKET, false, c);
    } else if (key.vk) {
      os::InjectKey(key.vk, false, 0, key.extended);
    }
    return;
  }

  // The text the key types.
  std::u16string text;
  if (length > 0) {
    if (utf8)
      text = Utf8ToString(std::string_view(buffer, static_cast<size_t>(length)));
    else
      for (int i = 0; i < length; ++i) text += static_cast<Char>(static_cast<unsigned char>(buffer[i]));
  } else if (char32_t c = KeysymToChar(keysym)) {
    if (c >= 0x10000) {
      text += static_cast<Char>(0xD800 + ((c - 0x10000) >> 10));
      text += static_cast<Char>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      text += static_cast<Char>(c);
    }
  }
  bool printable = !text.empty();
  for (Char c : text)
    if (c < 0x20 || c == 0x7F) printable = false;

  PressedKey key;
  key.vk = KeysymToVk(IsKeypadKey(base) ? keysym : base, key.extended);
  const bool shortcut = (ev.state & (ControlMask | Mod1Mask)) != 0;
  // A layout other than the US one types its own characters on these keys: they go as
  // characters (VK_PACKET) so that the window gets what the user typed.
  if (printable && !shortcut &&
      (!key.vk || text.size() != 1 ||
       text[0] != os::UsLayoutChar(key.vk, ev.state & ShiftMask, ev.state & LockMask)))
    key.packet = text;
  if (!key.packet.empty()) {
    for (Char c : key.packet) os::InjectKey(VK_PACKET, true, c);
  } else if (key.vk) {
    os::InjectKey(key.vk, true, 0, key.extended);
    if (key.vk == VK_CAPITAL) capsOn_ = !capsOn_;
  } else {
    return;
  }
  pressed_[ev.keycode] = key;
}

void X11BackendImpl::OnFocusIn(const XFocusChangeEvent& ev) {
  if (ev.mode != NotifyNormal && ev.mode != NotifyWhileGrabbed) return;
  if (ev.detail == NotifyPointer || ev.detail == NotifyPointerRoot || ev.detail == NotifyDetailNone) return;
  HWND hwnd;
  {
    std::lock_guard lock(mutex_);
    XWin* w = FindX(ev.window);
    if (!w) return;
    if (w->ic) XSetICFocus(w->ic);
    hwnd = w->hwnd;
    focusCheck_ = false;
  }
  if (GetActiveWindow() == hwnd) return;
  if (IsWindowEnabled(hwnd)) {
    SetForegroundWindow(hwnd);
    return;
  }
  // A window disabled by a modal one: the modal window comes forward instead.
  HWND popup = GetLastActivePopup(hwnd);
  if (!popup || popup == hwnd) return;
  SetForegroundWindow(popup);
  std::lock_guard lock(mutex_);
  if (XWin* p = Find(popup); p && p->id && p->mapped) {
    XRaiseWindow(dpy_, p->id);
    // Refused while the X server has not made the window viewable yet.
    XErrorTrap trap(dpy_);
    XSetInputFocus(dpy_, p->id, RevertToParent, CurrentTime);
  }
}

void X11BackendImpl::OnClientMessage(const XClientMessageEvent& ev) {
  if (ev.message_type != atoms_[kWmProtocols] || ev.format != 32) return;
  if (static_cast<Atom>(ev.data.l[0]) != atoms_[kWmDeleteWindow]) return;
  HWND hwnd;
  {
    std::lock_guard lock(mutex_);
    XWin* w = FindX(ev.window);
    if (!w) return;
    hwnd = w->hwnd;
  }
  // The close button of the frame: as a click on our own caption's close button.
  if (IsWindowEnabled(hwnd)) PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void X11BackendImpl::FinishBatch() {
  EndMoveSizeLoops(false);
  std::vector<std::pair<HWND, RECT>> exposed;
  bool focusCheck, monitors;
  {
    std::lock_guard lock(mutex_);
    for (auto& [hwnd, w] : windows_)
      if (!w.exposed.IsEmpty()) {
        exposed.emplace_back(hwnd, w.exposed);
        w.exposed = RECT{};
      }
    focusCheck = focusCheck_;
    focusCheck_ = false;
    monitors = monitorsChanged_;
    monitorsChanged_ = false;
  }
  for (auto& [hwnd, area] : exposed) Repush(hwnd, area);
  if (!exposed.empty()) {
    std::lock_guard lock(mutex_);
    XFlush(dpy_);
  }
  if (monitors) UpdateMonitors();
  if (focusCheck) {
    // The focus went to another program's window: our active window is no longer active.
    ::Window focus = 0;
    int revert = 0;
    bool ours;
    {
      std::lock_guard lock(mutex_);
      XGetInputFocus(dpy_, &focus, &revert);
      ours = FindX(focus) != nullptr;
    }
    if (!ours && GetActiveWindow()) SetActiveWindow(nullptr);
  }
}

}  // namespace

std::unique_ptr<X11Backend> CreateX11Backend(const char* displayName) {
  XInitThreads();
  Display* dpy = XOpenDisplay(displayName);
  if (!dpy) return nullptr;
  auto backend = std::make_unique<X11BackendImpl>(dpy, displayName);
  if (!backend->Init()) return nullptr;
  return backend;
}

}  // namespace qd::display
