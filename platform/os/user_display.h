#pragma once
// The window manager's side of the screen: the display backend it reports top-level
// windows to, the monitors, input coming in, reading back a window's pixels, and the reset
// that tests use between cases.
//
// platform/display/ implements DisplayBackend (headless, X11) and installs it; without a
// backend the window manager works the same, with nothing shown anywhere.
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/os/user.h"

namespace qd::gdi {
struct Surface;
}

namespace qd::os {

// What the window manager tells the screen. Every call comes on the thread that owns the
// window. Child windows are never reported: they are drawn into their top-level window's
// surface.
class DisplayBackend {
 public:
  virtual ~DisplayBackend() = default;
  virtual const char* Name() const = 0;

  // A top-level window came into being (hidden) or went away.
  virtual void WindowCreated(HWND hwnd) {}
  virtual void WindowDestroyed(HWND hwnd) {}
  // Shown or hidden.
  virtual void WindowShown(HWND hwnd, bool visible) {}
  // New screen rectangle (position and size); the surface has the new size already.
  virtual void WindowMoved(HWND hwnd, const RECT& screenRect) {}
  virtual void WindowTitleChanged(HWND hwnd, const String& title) {}
  virtual void WindowIconChanged(HWND hwnd, HICON icon) {}
  // Layered attributes, the window region or the topmost flag changed.
  virtual void WindowShapeChanged(HWND hwnd) {}
  // Pixels of the surface changed inside `dirty` (window coordinates). Read them with
  // ReadWindowPixels(hwnd, true), or directly from `surface` (raw: GDI leaves alpha 0).
  virtual void Present(HWND hwnd, const gdi::Surface& surface, const RECT& dirty) {}
  // The cursor shape to show (nullptr: none).
  virtual void CursorChanged(HCURSOR cursor) {}

  // Event source. A backend with one (X11) is waited on by the message loop of its event
  // thread: WaitForEvents blocks until an event came in (fed through the Inject functions
  // below), Wake() was called (from any thread) or timeoutMs passed (-1: no time-out).
  virtual bool HasEventSource() const { return false; }
  virtual DWORD EventThread() const { return 0; }
  virtual void WaitForEvents(int timeoutMs) {}
  virtual void Wake() {}
};

// Installs the backend (not owned; nullptr removes it). Windows that exist already are
// reported to it at once.
void SetDisplayBackend(DisplayBackend* backend);
DisplayBackend* GetDisplayBackend();

// ---- Monitors -------------------------------------------------------------------------------
struct MonitorDesc {
  RECT rect;      // screen coordinates; the first monitor is the primary one at (0,0)
  RECT work;      // work area
  UINT dpi = 96;  // effective DPI
  String device;  // "\\\\.\\DISPLAY1" when empty
};
std::vector<MonitorDesc> GetMonitors();
// Replaces the monitors: top-level windows get WM_DISPLAYCHANGE, and WM_DPICHANGED when
// their monitor's DPI changed.
void SetMonitors(const std::vector<MonitorDesc>& monitors);
void SetMonitorDpi(size_t index, UINT dpi);
// One 1920 x 1080 monitor at 96 DPI with a 40-pixel task bar at the bottom.
void ResetMonitors();

// ---- Input coming in (backends and tests) -----------------------------------------------------
// Input goes through the real queue: hit testing, WH_MOUSE / WH_KEYBOARD, activation,
// double clicks and key state happen when the UI thread retrieves it.
void InjectMouseMove(POINT screen);
// message: WM_LBUTTONDOWN/UP, WM_RBUTTONDOWN/UP, WM_MBUTTONDOWN/UP, WM_XBUTTONDOWN/UP.
void InjectMouseButton(UINT message, POINT screen, WORD xbutton = 0);
void InjectMouseWheel(POINT screen, int delta, bool horizontal = false);
// A key going down or up. ch (with vk = VK_PACKET) types a character that has no key.
void InjectKey(int vk, bool down, Char ch = 0, bool extended = false);
// The character a virtual key types on the US layout with the given Shift and Caps Lock
// state, without Ctrl (0: none). WM_CHAR comes from it; a backend compares it with what its
// keyboard layout typed to see whether the key must go as a character (VK_PACKET).
Char UsLayoutChar(int vk, bool shift, bool capsLock);

// ---- Reading back ------------------------------------------------------------------------------
struct WindowPixels {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, premultiplied, top-down
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
// The pixels of a top-level window (whole window rectangle). composed = true gives what the
// screen shows: opaque for ordinary windows, the layered alpha and colour key applied,
// transparent outside the window region. composed = false gives the surface as drawn.
WindowPixels ReadWindowPixels(HWND topLevel, bool composed = true);
// Pushes pending pixel changes to the backend (the message loop does it before waiting).
void FlushDisplay();

// ---- Cursors --------------------------------------------------------------------------------------
// The IDC_ number of a system cursor (32512 for IDC_ARROW ...), 0 for other cursors.
int SystemCursorId(HCURSOR cursor);
// The shape of a cursor or icon (premultiplied) and its hot spot.
bool GetCursorImage(HCURSOR cursor, WindowPixels& image, POINT& hotspot);

// ---- Switches for tests ---------------------------------------------------------------------------
// The system DPI (GetDpiForSystem, GDI's LOGPIXELSX/Y); monitors have their own DPI.
void SetSystemDpi(UINT dpi);
// The process's DPI awareness, which the program's manifest fixes (per monitor v2).
void SetProcessDpiAwarenessForTesting(DPI_AWARENESS_CONTEXT context);
// A system metric at 96 DPI (scaled for other DPIs like the original's size metrics).
void SetSystemMetric(int index, int valueAt96Dpi);
// An integer or BOOL system parameter by its SPI_GET action, without any broadcast.
void SetSystemParameter(UINT getAction, int value);
// Desktop composition on or off (top-level windows get WM_DWMCOMPOSITIONCHANGED).
void SetCompositionEnabled(bool enabled);
// Metrics, parameters, DPI settings, composition and the double-click time back to their defaults.
void ResetSystemSettings();

// ---- Tests ---------------------------------------------------------------------------------------
// Destroys the calling thread's windows, removes its hooks, timers and queued messages, and
// resets focus, capture, key state, cursor, monitors, system parameters and DPI settings.
void ResetWindowManagerForTesting();

}  // namespace qd::os
