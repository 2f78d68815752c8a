#pragma once
// The X11 display backend: every top-level window of the window manager becomes an X window,
// X input becomes the window manager's input, and the message loop of the thread that made
// the backend waits on the X connection.
//
// Windows with a caption get the X window manager's decorations: the X window is the client
// area, and our own non-client frame is not shown. Windows without a caption, and every window
// when no (EWMH) X window manager runs, show the whole window rectangle undecorated, our own
// frame included. Popups, tool windows and topmost windows without a caption (menus,
// drop-downs, hints) are override-redirect windows.
//
// X errors are handled as x11_errors.h describes. When the X connection is lost, the backend
// stops using it and the event thread's message loop gets WM_QUIT (exit code 1), so that the
// application ends through its own shut-down; destroying the backend afterwards is safe.
//
// The header stays free of Xlib: X ids travel as unsigned long.
#include <memory>

#include "platform/os/user_display.h"

namespace qd::display {

class X11Clipboard;

class X11Backend : public os::DisplayBackend {
 public:
  // The X window that shows a top-level window (0: none).
  virtual unsigned long XWindowOf(HWND hwnd) const = 0;
  // Where the X window shows the window's surface, in window coordinates (the client area
  // for windows with X decorations, the whole window otherwise).
  virtual RECT ViewOf(HWND hwnd) const = 0;
  // The DPI the backend found (the Xft.dpi resource, else 96).
  virtual UINT Dpi() const = 0;
  // Returns when the X server has carried out every request sent so far.
  virtual void Sync() = 0;
  // What the X server shows of a top-level window: the pixels of its X window, read back
  // from the server (opaque 0xFFRRGGBB, top-down; the view of ViewOf). False when the
  // window has no viewable X window.
  virtual bool ReadXWindowPixels(HWND hwnd, os::WindowPixels& out) = 0;
  // The bridge to the desktop's clipboard (nullptr when it could not be set up).
  virtual X11Clipboard* Clipboard() const = 0;
};

// Opens the X display (nullptr: $DISPLAY), reports its screen as the monitor (size, work area
// and DPI) and returns the backend, not yet installed (SetDisplayBackend). nullptr when the
// display cannot be opened or has no usable visual. The calling thread becomes the event
// thread; destroy the backend on it after removing it with SetDisplayBackend(nullptr).
std::unique_ptr<X11Backend> CreateX11Backend(const char* displayName = nullptr);

}  // namespace qd::display
