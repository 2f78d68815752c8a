#pragma once
// X errors and the loss of the X connection, for the X11 backend.
//
// Xlib has one error handler for the process. For a connection it watches:
// - an error of a request made inside an XErrorTrap goes to that trap (requests expected to
//   fail, on windows that may be gone);
// - an error on one of our own windows that we destroyed meanwhile (a request that crossed
//   the destruction) is expected and ignored;
// - any other error is written to standard error, one line for each kind (request and error
//   code) and connection.
// When the connection is lost, the line "display: lost the connection to the X server ..." is
// written and the connection's handler runs; Xlib then treats the connection as dead and
// later calls on it do nothing.
//
// The header stays free of Xlib: X ids travel as unsigned long.

struct _XDisplay;

namespace qd::display {

// Installs the process's handlers (once) and watches `dpy`. `onLost(context)` runs once, on
// whichever thread met the loss, possibly inside an Xlib call: it may only set flags and wake
// threads. A second connection of the program to the same server (report = false) writes no
// line of its own.
void WatchXConnection(_XDisplay* dpy, void (*onLost)(void* context), void* context, bool report = true);
// Closes a watched display (XCloseDisplay); a loss met while closing calls no handler.
void CloseWatchedXConnection(_XDisplay* dpy);
// True once the watched connection was lost.
bool XConnectionLost(_XDisplay* dpy);
// False where Xlib ends the process on the loss of a connection whatever its handlers do
// (Xlib before 1.8): the line is still written first.
bool XConnectionLossSurvivable();

// Our window `id` was destroyed (or a new window got that id): errors on it are ignored from
// now on (or no longer).
void NoteXWindowDestroyed(_XDisplay* dpy, unsigned long id);
void NoteXWindowCreated(_XDisplay* dpy, unsigned long id);

// Traps the errors of the requests made on `dpy` while it lives. Traps nest; the innermost
// one gets an error. The caller keeps other threads off the connection meanwhile.
class XErrorTrap {
 public:
  explicit XErrorTrap(_XDisplay* dpy);
  // Ends the trap as Failed() does.
  ~XErrorTrap();
  XErrorTrap(const XErrorTrap&) = delete;
  XErrorTrap& operator=(const XErrorTrap&) = delete;

  // Waits until the X server has carried out the requests made in the scope, ends the trap
  // (later requests are not trapped) and tells whether one of them failed, or the connection
  // was lost before they were carried out.
  bool Failed();
  // The first trapped error's code (0: none).
  int ErrorCode() const { return error_; }

 private:
  friend struct XErrorTrapAccess;
  void End();

  _XDisplay* dpy_;
  unsigned long start_;
  int error_ = 0;
  bool ended_ = false;
};

}  // namespace qd::display
