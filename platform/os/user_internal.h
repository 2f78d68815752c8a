#pragma once
// Internal state of the window manager, shared by the user_*.cpp files.
#include <pixman.h>

#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/os/pixman_region.h"
#include "platform/os/user.h"

namespace qd::gdi {
struct Surface;
}

namespace qd::user {

struct ThreadState;

using Region = os::PixmanRegion;

struct WndClass {
  ATOM atom = 0;
  String name;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int cbClsExtra = 0;
  int cbWndExtra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HICON iconSmall = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  String menuName;
  std::vector<uint8_t> extra;
  int windows = 0;  // live windows of the class
  bool system = false;
};

enum class WindowKind { Normal, Desktop, MessageRoot };

// The state of a window's own scroll bar (WS_VSCROLL / WS_HSCROLL).
struct ScrollState {
  int min = 0;
  int max = 100;
  UINT page = 0;
  int pos = 0;
  int trackPos = 0;
  bool tracking = false;
  bool set = false;           // SetScrollInfo was called
  bool autoDisabled = false;  // not needed, kept visible by SIF_DISABLENOSCROLL
  UINT disabledArrows = 0;    // ESB_ bits from EnableScrollBar
};

struct Window {
  HWND handle = nullptr;
  WindowKind kind = WindowKind::Normal;
  std::shared_ptr<WndClass> cls;
  std::shared_ptr<ThreadState> thread;
  DWORD threadId = 0;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  Window* parent = nullptr;  // the desktop for top-level windows, the message root for message-only ones
  Window* owner = nullptr;
  std::vector<Window*> children;  // z-order, topmost first
  RECT window;                    // in the parent's client coordinates (not mirrored)
  RECT client;                    // same coordinates as `window`
  String text;
  HINSTANCE instance = nullptr;
  LONG_PTR id = 0;
  HMENU menu = nullptr;  // a top-level window's menu (GetMenu); no menu bar is drawn
  LONG_PTR userData = 0;
  std::vector<uint8_t> extra;
  std::map<ATOM, HANDLE> props;
  HICON iconBig = nullptr;
  HICON iconSmall = nullptr;

  bool ncCreated = false;   // WM_NCCREATE went through
  bool destroying = false;  // DestroyWindow started
  bool destroyed = false;   // WM_NCDESTROY sent, the handle is dead

  // Painting (regions in window coordinates: (0,0) is the window's top-left).
  Region update;
  bool erasePending = false;
  bool framePending = false;
  bool internalPaint = false;
  bool inBeginPaint = false;
  bool ncActive = false;  // caption drawn active
  bool needSize = false;  // WM_SIZE/WM_MOVE wait for the first ShowWindow

  // Placement.
  RECT normalRect;  // restored position while minimised or maximised
  UINT dpi = 96;
  HWND lastActivePopup = nullptr;
  HWND lastFocus = nullptr;  // focus to restore when activated again

  ScrollState hscroll;
  ScrollState vscroll;

  // Window region (owned), in window coordinates.
  HRGN windowRgn = nullptr;
  std::unique_ptr<Region> windowRegion;

  // Layered windows.
  BYTE layeredAlpha = 255;
  COLORREF layeredKey = 0;
  DWORD layeredFlags = 0;       // LWA_ALPHA | LWA_COLORKEY
  bool layeredUpdated = false;  // contents come from UpdateLayeredWindow
  DWORD ulwFlags = 0;
  bool ulwPerPixel = false;

  // Top-level windows only: the pixels of the window and its children.
  std::shared_ptr<gdi::Surface> surface;
  Region dirty;  // surface area changed since the last present, in window coordinates

  bool IsTopLevel() const;
  bool IsChild() const { return (style & WS_CHILD) != 0 && parent && parent->kind == WindowKind::Normal; }
  bool Visible() const { return (style & WS_VISIBLE) != 0; }
  bool Enabled() const { return (style & WS_DISABLED) == 0; }
  bool Rtl() const { return (exStyle & WS_EX_LAYOUTRTL) != 0; }
};
using WindowPtr = std::shared_ptr<Window>;

// ---- Threads -------------------------------------------------------------------------------
struct SentMessage {
  HWND hwnd = nullptr;
  UINT msg = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  LRESULT result = 0;
  bool done = false;    // guarded by the hub mutex
  bool notify = false;  // SendNotifyMessage: nobody waits
  bool replied = false;
  DWORD senderThread = 0;
};

struct Timer {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  UINT elapse = 0;
  uint64_t dueUs = 0;
  TIMERPROC proc = nullptr;
};

struct Hook {
  int type = 0;
  HOOKPROC proc = nullptr;
  std::weak_ptr<ThreadState> thread;
  bool dead = false;
  int inCall = 0;
};
using HookPtr = std::shared_ptr<Hook>;

struct InputEvent {
  enum Kind { Mouse, Key } kind = Mouse;
  UINT message = 0;  // WM_MOUSEMOVE, WM_LBUTTONDOWN, ..., WM_MOUSEWHEEL, WM_KEYDOWN, WM_KEYUP
  POINT pt;          // screen
  int wheel = 0;     // wheel delta
  WORD xbutton = 0;
  int vk = 0;
  Char ch = 0;  // VK_PACKET character
  WORD scan = 0;
  bool extended = false;
  DWORD time = 0;
  HWND target = nullptr;  // set when assigned to a thread
  LRESULT hit = HTNOWHERE;
  UINT doubleClickDecided = 0;  // the button message after double-click detection
};

struct Caret {
  HWND hwnd = nullptr;
  HBITMAP bitmap = nullptr;
  int width = 0;
  int height = 0;
  POINT pos;
  int hideCount = 1;  // a new caret is hidden
  bool on = false;    // drawn (inverted) in the window now
  uint64_t nextBlinkUs = 0;
};

struct ThreadState {
  DWORD id = 0;
  // Guarded by `mutex` (other threads post and send).
  std::mutex mutex;
  std::deque<MSG> posted;
  std::deque<std::shared_ptr<SentMessage>> incoming;
  std::deque<InputEvent> input;  // input assigned to this thread's windows
  bool quit = false;
  int quitCode = 0;
  bool alive = true;
  std::vector<HookPtr> hooks[16];  // newest first; index = hook type + 1

  // Touched only by the owning thread.
  std::vector<Timer> timers;
  UINT_PTR nextTimerId = 1;
  BYTE keyState[256] = {};
  LONG messageTime = 0;
  DWORD messagePos = 0;
  std::vector<SentMessage*> inSend;  // cross-thread sends being processed
  Char lastPacketChar = 0;
  Caret caret;
  DPI_AWARENESS_CONTEXT dpiContext = nullptr;  // nullptr: the process default
};
using ThreadPtr = std::shared_ptr<ThreadState>;

ThreadState& CurrentThread();
ThreadPtr CurrentThreadPtr();
ThreadPtr ThreadById(DWORD id);

// ---- The window table ------------------------------------------------------------------------
std::recursive_mutex& WmMutex();
WindowPtr Lookup(HWND hwnd);  // nullptr for invalid or destroyed handles
Window* Desktop();
Window* MessageRoot();
// Lookup that sets ERROR_INVALID_WINDOW_HANDLE when it fails. The entry points that take a
// window use it, so it also checks the thread rule (CheckWindowThread).
WindowPtr Checked(HWND hwnd);
// Checked without the thread rule, for the calls any thread may make on a window: posting,
// sending (carried out on the window's thread) and asking which thread the window belongs to.
WindowPtr CheckedFromAnyThread(HWND hwnd);
// Debug builds stop when a window (not the desktop or the message-only root) is used by a
// thread other than the one that created it, while that thread still runs.
void CheckWindowThread(const Window& w);
std::vector<WindowPtr> AllWindows();       // creation order
std::vector<WindowPtr> TopLevelWindows();  // z-order, topmost first
std::vector<WindowPtr> MessageOnlyWindows();

// ---- Messages -----------------------------------------------------------------------------------
// Sends to one window (same thread: hooks and window procedure; other thread: waits).
LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Same-thread delivery with WH_CALLWNDPROC / WH_CALLWNDPROCRET around it.
LRESULT CallWithHooks(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool fromOtherThread);
// Runs the cross-thread sends waiting for this thread.
void ProcessIncomingSends(ThreadState& ts);
// Wakes the thread's message wait.
void WakeThread(ThreadState& ts);

// ---- Hooks ----------------------------------------------------------------------------------------
bool HasHooks(int type);
LRESULT CallHooks(int type, int code, WPARAM wParam, LPARAM lParam);

// ---- Timers ---------------------------------------------------------------------------------------
// The earliest due time of the thread's timers, or UINT64_MAX.
uint64_t NextTimerDue(ThreadState& ts);
bool TakeDueTimer(ThreadState& ts, HWND filter, bool remove, MSG& msg);
void KillWindowTimers(ThreadState& ts, HWND hwnd);

// ---- Geometry -------------------------------------------------------------------------------------
POINT ClientOriginScreen(const Window* w);  // the client area's top-left in screen coordinates
RECT ScreenWindowRect(const Window* w);
RECT ScreenClientRect(const Window* w);
Window* TopLevelOf(Window* w);  // the top-level ancestor (itself when top-level)
bool IsVisibleChain(const Window* w);
bool ContainsScreenPoint(const Window* w, POINT screen);  // window rect and window region
// The deepest visible window at a screen point. HTTRANSPARENT windows are passed over when
// hit testing is on; `hit` receives the hit-test code.
Window* HitTestPoint(POINT screen, bool sendHitTest, LRESULT* hit);
// Client coordinates of a screen point (mirrored for right-to-left windows).
POINT ScreenToClientPoint(const Window* w, POINT screen);
POINT ClientToScreenPoint(const Window* w, POINT client);
// Non-client sizes of a style at a DPI.
RECT NonClientInsets(DWORD style, DWORD exStyle, UINT dpi, bool child);
UINT WindowDpi(const Window* w);
// After a top-level window moved: WM_DPICHANGED when its monitor has another DPI.
void CheckDpiChange(Window* top);

// ---- Showing and positions -----------------------------------------------------------------------
BOOL SetWindowPosInternal(Window* w, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
void ZOrderInsert(Window* w, HWND insertAfter);
void UnlinkFromParent(Window* w);

// ---- Focus, activation, capture -------------------------------------------------------------------
struct InputState {
  HWND active = nullptr;
  HWND focus = nullptr;
  HWND capture = nullptr;
  HWND foreground = nullptr;
  DWORD activeThread = 0;  // thread whose windows get WM_ACTIVATEAPP(TRUE)
};
InputState& Input();
// Activates a top-level window (nullptr deactivates); `how` is WA_ACTIVE or WA_CLICKACTIVE.
bool Activate(Window* w, WORD how, bool mouse);
// After `w` was hidden or is being destroyed: passes activation on when it was active.
void ActivateOtherAfter(Window* w);
void ReleaseFocusAndCaptureOf(Window* w);
HWND SetFocusInternal(Window* w);

// ---- Input -----------------------------------------------------------------------------------------
// Takes the next input message for this thread (hit testing, hooks, activation); false when none.
bool TakeInput(ThreadState& ts, HWND filter, UINT min, UINT max, bool remove, MSG& msg);
bool HasInput(ThreadState& ts);
// Mouse hover (TrackMouseEvent): when it is due, and posting it once due.
uint64_t HoverDue(ThreadState& ts);
// The modal move or size loop of WM_SYSCOMMAND SC_MOVE / SC_SIZE (low bits: the hit-test area
// or WMSZ_ edge), driven by the mouse while its left button is down, else by the arrow keys.
void MoveSizeLoop(HWND hwnd, WPARAM command, LPARAM screenPoint);
// The caret's next blink (clock microseconds; UINT64_MAX: none), and the blink when it is due.
uint64_t CaretBlinkDue(ThreadState& ts);
void BlinkCaret(ThreadState& ts);
bool PostDueHover(ThreadState& ts);
Char VkToChar(int vk, const BYTE* keys, Char packet);
// The class of a window class name.
std::shared_ptr<WndClass> FindClass(LPCWSTR name);

// ---- Painting --------------------------------------------------------------------------------------
// The next window of the thread that needs WM_PAINT, or nullptr.
Window* FindPaintWindow(ThreadState& ts, HWND filter);
bool NeedsPaint(const Window* w);
// RedrawWindow with a region in window coordinates of `w` (nullptr: the whole client area,
// or the whole window with RDW_FRAME).
void RedrawInternal(Window* w, const Region* windowCoords, UINT flags);
void ClearUpdateTree(Window* w);
// Marks the non-client area for WM_NCPAINT.
void InvalidateFrame(Window* w);
// Surfaces of top-level windows.
void EnsureSurface(Window* top);
void PresentDirty();
// The visible part of a window (or its client area) in screen coordinates.
Region VisibleRegionScreen(Window* w, bool windowArea, bool clipChildren, bool clipSiblings);
// A copy of a region handle's area (empty for a handle that is not a region).
Region FromHrgn(HRGN rgn);
// System DPI and the process's awareness.
UINT SystemDpi();
bool ProcessPerMonitor();
bool ProcessPerMonitorV2();
int CursorSystemId(HCURSOR cursor);

// Non-client painting and the default erase and print (GDI based). PaintNonClient draws
// into `dc` when given, else into a window DC clipped to `clip` (screen coordinates; nullptr
// or (HRGN)1 for all).
void PaintNonClient(Window* w, HRGN clip, HDC dc);
LRESULT EraseBackground(Window* w, HDC dc);
void PrintInto(Window* w, HDC dc, LPARAM flags);
LRESULT HitTestDefault(Window* w, POINT screen);
// The window's scroll bars: drawing and the tracking loop of WM_NCLBUTTONDOWN on them.
void DrawScrollBars(Window* w, HDC dc);
void TrackScrollBar(Window* w, int bar, POINT screen);
RECT CaptionRect(Window* w, RECT* closeButton);

// Beeps are recorded for tests (user_edit.cpp).
void RecordBeep(UINT type);
// The window procedure of the system "EDIT" class (user_edit.cpp).
LRESULT EditWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// ---- Display ---------------------------------------------------------------------------------------
void NotifyCreated(Window* top);
void NotifyDestroyed(Window* top);
void NotifyShown(Window* top, bool visible);
void NotifyMoved(Window* top);
void NotifyTitle(Window* top);

}  // namespace qd::user
