// X errors and the loss of the X connection (see x11_errors.h).
#include "platform/display/x11_errors.h"

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include <X11/Xlib.h>

namespace qd::display {

// The handlers below reach into a trap's private state.
struct XErrorTrapAccess {
  static Display* DisplayOf(const XErrorTrap& t) { return t.dpy_; }
  static unsigned long Start(const XErrorTrap& t) { return t.start_; }
  static void Record(XErrorTrap& t, int code) {
    if (!t.error_) t.error_ = code;
  }
};

namespace {

// One kind of error: request (major, minor) and error code.
using ErrorKind = std::tuple<int, int, int>;

struct Connection {
  Display* dpy = nullptr;
  void (*onLost)(void*) = nullptr;
  void* context = nullptr;
  bool lost = false;
  bool report = true;
  std::vector<unsigned long> destroyed;  // our windows destroyed lately, oldest first
  std::set<ErrorKind> reported;
};

// The error of a request that crossed a window's destruction arrives soon after it: the
// latest destroyed windows are enough.
constexpr size_t kDestroyedKept = 256;

std::mutex gLock;
std::vector<Connection> gConnections;
std::vector<XErrorTrap*> gTraps;         // innermost last
std::set<ErrorKind> gReportedElsewhere;  // connections not watched
XIOErrorHandler gPreviousIOHandler = nullptr;

Connection* FindLocked(Display* dpy) {
  for (Connection& c : gConnections)
    if (c.dpy == dpy) return &c;
  return nullptr;
}

void Report(Display* dpy, const XErrorEvent& e) {
  char text[160] = {};
  XGetErrorText(dpy, e.error_code, text, sizeof text);
  std::string request = std::to_string(e.request_code) + "." + std::to_string(e.minor_code);
  if (e.request_code < 128) {
    // Core requests have their names in Xlib's error database.
    char name[80] = {};
    XGetErrorDatabaseText(dpy, "XRequest", std::to_string(e.request_code).c_str(), "", name, sizeof name);
    if (name[0]) request = std::string(name) + " (" + request + ")";
  }
  std::fprintf(stderr, "display: X error %s on request %s, resource 0x%lx\n", text, request.c_str(),
               e.resourceid);
}

int OnXError(Display* dpy, XErrorEvent* e) {
  {
    std::lock_guard lock(gLock);
    for (auto it = gTraps.rbegin(); it != gTraps.rend(); ++it)
      if (XErrorTrapAccess::DisplayOf(**it) == dpy && e->serial >= XErrorTrapAccess::Start(**it)) {
        XErrorTrapAccess::Record(**it, e->error_code);
        return 0;
      }
    Connection* c = FindLocked(dpy);
    if (c && (e->error_code == BadWindow || e->error_code == BadDrawable) &&
        std::find(c->destroyed.begin(), c->destroyed.end(), e->resourceid) != c->destroyed.end())
      return 0;
    std::set<ErrorKind>& reported = c ? c->reported : gReportedElsewhere;
    if (!reported.insert(ErrorKind{e->request_code, e->minor_code, e->error_code}).second) return 0;
  }
  Report(dpy, *e);
  return 0;
}

// The connection is dead; for a watched one, Xlib goes on once the handlers have returned.
void ConnectionLost(Display* dpy) {
  void (*onLost)(void*) = nullptr;
  void* context = nullptr;
  bool report = true;
  {
    std::lock_guard lock(gLock);
    Connection* c = FindLocked(dpy);
    if (!c || c->lost) return;
    c->lost = true;
    onLost = c->onLost;
    context = c->context;
    report = c->report;
  }
  if (report)
    std::fprintf(stderr, "display: lost the connection to the X server \"%s\"\n", DisplayString(dpy));
  if (onLost) onLost(context);
}

#if QD_HAVE_X_IO_ERROR_EXIT_HANDLER
void OnConnectionLostExit(Display* dpy, void*) {
  ConnectionLost(dpy);
}
#endif

int OnXIOError(Display* dpy) {
  bool watched;
  {
    std::lock_guard lock(gLock);
    watched = FindLocked(dpy) != nullptr;
  }
  if (!watched) return gPreviousIOHandler ? gPreviousIOHandler(dpy) : 0;
#if !QD_HAVE_X_IO_ERROR_EXIT_HANDLER
  // This Xlib ends the process when the handler returns: at least say why.
  ConnectionLost(dpy);
#endif
  return 0;
}

}  // namespace

void WatchXConnection(Display* dpy, void (*onLost)(void*), void* context, bool report) {
  static std::once_flag once;
  std::call_once(once, [] {
    XSetErrorHandler(&OnXError);
    gPreviousIOHandler = XSetIOErrorHandler(&OnXIOError);
  });
  {
    std::lock_guard lock(gLock);
    Connection* c = FindLocked(dpy);
    if (!c) c = &gConnections.emplace_back();
    *c = Connection{};
    c->dpy = dpy;
    c->onLost = onLost;
    c->context = context;
    c->report = report;
  }
#if QD_HAVE_X_IO_ERROR_EXIT_HANDLER
  XSetIOErrorExitHandler(dpy, &OnConnectionLostExit, nullptr);
#endif
}

void CloseWatchedXConnection(Display* dpy) {
  {
    std::lock_guard lock(gLock);
    if (Connection* c = FindLocked(dpy)) c->onLost = nullptr;
  }
  // Still watched while closing: a loss met here is not Xlib's default one (which ends the
  // process).
  XCloseDisplay(dpy);
  std::lock_guard lock(gLock);
  std::erase_if(gConnections, [dpy](const Connection& c) { return c.dpy == dpy; });
}

bool XConnectionLossSurvivable() {
  return QD_HAVE_X_IO_ERROR_EXIT_HANDLER != 0;
}

bool XConnectionLost(Display* dpy) {
  std::lock_guard lock(gLock);
  const Connection* c = FindLocked(dpy);
  return c && c->lost;
}

void NoteXWindowDestroyed(Display* dpy, unsigned long id) {
  std::lock_guard lock(gLock);
  Connection* c = FindLocked(dpy);
  if (!c) return;
  if (c->destroyed.size() >= kDestroyedKept) c->destroyed.erase(c->destroyed.begin());
  c->destroyed.push_back(id);
}

void NoteXWindowCreated(Display* dpy, unsigned long id) {
  std::lock_guard lock(gLock);
  if (Connection* c = FindLocked(dpy)) std::erase(c->destroyed, id);
}

// ---- Traps ------------------------------------------------------------------------------------------

XErrorTrap::XErrorTrap(Display* dpy) : dpy_(dpy), start_(NextRequest(dpy)) {
  std::lock_guard lock(gLock);
  gTraps.push_back(this);
}

XErrorTrap::~XErrorTrap() {
  End();
}

bool XErrorTrap::Failed() {
  End();
  return error_ != 0 || XConnectionLost(dpy_);
}

void XErrorTrap::End() {
  if (ended_) return;
  ended_ = true;
  // A round trip makes the X server answer every request of the scope, errors included.
  if (NextRequest(dpy_) > start_ && !XConnectionLost(dpy_)) XSync(dpy_, False);
  std::lock_guard lock(gLock);
  std::erase(gTraps, this);
}

}  // namespace qd::display
