// The X11 selections behind the clipboard (Xlib, XFixes).
#include "platform/display/x11_clipboard.h"

#include "platform/base/strings.h"
#include "platform/display/clipboard_formats.h"
#include "platform/display/x11_errors.h"

#include <poll.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

// Xlib last: its macros must not reach the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

namespace qd::display {
namespace {

enum SelectionAtom {
  kSelClipboard,
  kSelTargets,
  kSelTimestamp,
  kSelIncr,
  kSelUtf8String,
  kSelText,
  kSelTextPlainUtf8,
  kSelTextPlain,
  kSelImagePng,
  kSelImageBmp,
  kSelTransfer,
  kSelStamp,
  kSelAtomCount
};
const char* const kSelAtomNames[kSelAtomCount] = {
    "CLIPBOARD",  "TARGETS",   "TIMESTAMP", "INCR",         "UTF8_STRING", "TEXT", "text/plain;charset=utf-8",
    "text/plain", "image/png", "image/bmp", "QD_SELECTION", "QD_TIMESTAMP"};

constexpr auto kFetchTimeout = std::chrono::seconds(3);

using Deadline = std::chrono::steady_clock::time_point;

// A transfer in pieces to another program: the next piece goes when it deleted the last one.
struct Outgoing {
  ::Window requestor = 0;
  Atom property = 0;
  Atom type = 0;
  std::string data;
  size_t offset = 0;
};

class X11ClipboardImpl final : public X11Clipboard {
 public:
  X11ClipboardImpl(Display* dpy, std::function<void()> wake) : dpy_(dpy), wake_(std::move(wake)) {}
  ~X11ClipboardImpl() override { CloseWatchedXConnection(dpy_); }
  bool Init();

  int Fd() const override { return ConnectionNumber(dpy_); }
  void Process() override;
  int IncrementalTransfers(bool sent) const override {
    return sent ? incrSent_.load() : incrReceived_.load();
  }

  void ProgramOwnsClipboard() override;
  std::vector<UINT> ForeignFormats() override;
  bool ForeignData(UINT format, std::vector<uint8_t>& bytes) override;
  void PrimarySelectionChanged(const String& text) override;

 private:
  static void ConnectionLost(void* self) { static_cast<X11ClipboardImpl*>(self)->lost_ = true; }

  // With mutex_ held.
  bool WaitFor(bool (*match)(const XEvent&, const X11ClipboardImpl&, Atom), Atom arg, XEvent& out,
               Deadline deadline);
  bool ContinueOutgoing(const XEvent& ev);
  Time ServerTime();
  bool ReadProperty(Atom property, std::string& data, Atom& type, int& format);
  bool Convert(Atom target, std::string& data, Atom& type);
  std::vector<Atom> ForeignTargets();
  void Reply(const XSelectionRequestEvent& req, Atom property);
  void Send(const XSelectionRequestEvent& req, Atom property, Atom type, int format, std::string data);

  // Without mutex_ held: they call into the clipboard.
  void Serve(const XSelectionRequestEvent& req);
  void OwnerChanged(Atom selection, ::Window owner, Time time, bool clear);

  Display* dpy_;
  std::function<void()> wake_;
  ::Window win_ = 0;
  Atom atoms_[kSelAtomCount]{};
  int fixesEvent_ = -1;
  size_t chunk_ = 0;
  std::atomic<bool> lost_{false};
  std::atomic<int> incrSent_{0}, incrReceived_{0};

  std::mutex mutex_;
  std::vector<XEvent> deferred_;  // read while fetching, for Process()
  std::vector<Outgoing> outgoing_;
  bool ownClipboard_ = false;
  Time clipboardTime_ = 0;
  bool hasText_ = false, hasImage_ = false;
  bool ownPrimary_ = false;
  Time primaryTime_ = 0;
  String primary_;
  bool takenAtStart_ = false;
};

bool X11ClipboardImpl::Init() {
  WatchXConnection(dpy_, &X11ClipboardImpl::ConnectionLost, this, false);
  XInternAtoms(dpy_, const_cast<char**>(kSelAtomNames), kSelAtomCount, False, atoms_);
  const ::Window root = DefaultRootWindow(dpy_);
  XSetWindowAttributes a{};
  a.event_mask = PropertyChangeMask;
  win_ = XCreateWindow(dpy_, root, -10, -10, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent, CWEventMask,
                       &a);
  if (!win_) return false;
  int error = 0;
  if (XFixesQueryExtension(dpy_, &fixesEvent_, &error))
    XFixesSelectSelectionInput(dpy_, win_, atoms_[kSelClipboard],
                               XFixesSetSelectionOwnerNotifyMask | XFixesSelectionWindowDestroyNotifyMask |
                                   XFixesSelectionClientCloseNotifyMask);
  else
    fixesEvent_ = -1;
  // Whatever is larger than one request goes in pieces.
  chunk_ = static_cast<size_t>(std::max<long>(4096, XMaxRequestSize(dpy_) * 4 - 1024));
  takenAtStart_ = XGetSelectionOwner(dpy_, atoms_[kSelClipboard]) != 0;
  XFlush(dpy_);
  return true;
}

// ---- Waiting on the connection ----------------------------------------------------------------

bool X11ClipboardImpl::WaitFor(bool (*match)(const XEvent&, const X11ClipboardImpl&, Atom), Atom arg,
                               XEvent& out, Deadline deadline) {
  bool deferred = false;
  bool found = false;
  while (!found && !lost_) {
    while (XPending(dpy_)) {
      XEvent ev;
      XNextEvent(dpy_, &ev);
      if (match(ev, *this, arg)) {
        out = ev;
        found = true;
        break;
      }
      if (!ContinueOutgoing(ev)) {
        deferred_.push_back(ev);
        deferred = true;
      }
    }
    if (found) break;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now())
            .count();
    if (left <= 0) break;
    pollfd p{ConnectionNumber(dpy_), POLLIN, 0};
    poll(&p, 1, static_cast<int>(std::min<long long>(left, 100)));
  }
  if (deferred && wake_) wake_();
  return found;
}

bool X11ClipboardImpl::ContinueOutgoing(const XEvent& ev) {
  if (ev.type != PropertyNotify || ev.xproperty.state != PropertyDelete) return false;
  auto it = std::find_if(outgoing_.begin(), outgoing_.end(), [&](const Outgoing& o) {
    return o.requestor == ev.xproperty.window && o.property == ev.xproperty.atom;
  });
  if (it == outgoing_.end()) return false;
  XErrorTrap trap(dpy_);
  const size_t n = std::min(chunk_, it->data.size() - it->offset);
  XChangeProperty(dpy_, it->requestor, it->property, it->type, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(it->data.data() + it->offset), static_cast<int>(n));
  it->offset += n;
  // The empty piece ends the transfer.
  if (n == 0) {
    XSelectInput(dpy_, it->requestor, NoEventMask);
    outgoing_.erase(it);
  }
  XFlush(dpy_);
  return true;
}

Time X11ClipboardImpl::ServerTime() {
  XChangeProperty(dpy_, win_, atoms_[kSelStamp], XA_INTEGER, 8, PropModeAppend, nullptr, 0);
  XFlush(dpy_);
  XEvent ev;
  auto isStamp = [](const XEvent& e, const X11ClipboardImpl& self, Atom stamp) {
    return e.type == PropertyNotify && e.xproperty.window == self.win_ && e.xproperty.atom == stamp;
  };
  if (!WaitFor(isStamp, atoms_[kSelStamp], ev, std::chrono::steady_clock::now() + kFetchTimeout))
    return CurrentTime;
  return ev.xproperty.time;
}

bool X11ClipboardImpl::ReadProperty(Atom property, std::string& data, Atom& type, int& format) {
  unsigned long count = 0, after = 0;
  unsigned char* buffer = nullptr;
  data.clear();
  if (XGetWindowProperty(dpy_, win_, property, 0, 0x1FFFFFFF, True, AnyPropertyType, &type, &format, &count,
                         &after, &buffer) != Success) {
    if (buffer) XFree(buffer);
    return false;
  }
  // Xlib gives 32-bit items as longs.
  const size_t unit = format == 32 ? sizeof(long) : format == 16 ? sizeof(short) : 1;
  if (buffer) data.assign(reinterpret_cast<const char*>(buffer), count * unit);
  if (buffer) XFree(buffer);
  return true;
}

bool X11ClipboardImpl::Convert(Atom target, std::string& data, Atom& type) {
  const Atom property = atoms_[kSelTransfer];
  const Deadline deadline = std::chrono::steady_clock::now() + kFetchTimeout;
  XDeleteProperty(dpy_, win_, property);
  XConvertSelection(dpy_, atoms_[kSelClipboard], target, property, win_, CurrentTime);
  XFlush(dpy_);
  XEvent ev;
  auto isNotify = [](const XEvent& e, const X11ClipboardImpl& self, Atom selection) {
    return e.type == SelectionNotify && e.xselection.requestor == self.win_ &&
           e.xselection.selection == selection;
  };
  if (!WaitFor(isNotify, atoms_[kSelClipboard], ev, deadline) || ev.xselection.property == 0) return false;
  int format = 0;
  if (!ReadProperty(property, data, type, format)) return false;
  if (type != atoms_[kSelIncr]) return true;
  // In pieces: each new value is the next one, an empty one ends it.
  ++incrReceived_;
  data.clear();
  auto isPiece = [](const XEvent& e, const X11ClipboardImpl& self, Atom prop) {
    return e.type == PropertyNotify && e.xproperty.window == self.win_ && e.xproperty.atom == prop &&
           e.xproperty.state == PropertyNewValue;
  };
  for (;;) {
    if (!WaitFor(isPiece, property, ev, std::chrono::steady_clock::now() + kFetchTimeout)) return false;
    std::string piece;
    if (!ReadProperty(property, piece, type, format)) return false;
    if (piece.empty()) return true;
    data += piece;
  }
}

std::vector<Atom> X11ClipboardImpl::ForeignTargets() {
  std::string data;
  Atom type = 0;
  std::vector<Atom> targets;
  if (!Convert(atoms_[kSelTargets], data, type) || type != XA_ATOM) return targets;
  targets.resize(data.size() / sizeof(long));
  for (size_t i = 0; i < targets.size(); ++i) {
    long v = 0;
    std::memcpy(&v, data.data() + i * sizeof(long), sizeof v);
    targets[i] = static_cast<Atom>(v);
  }
  return targets;
}

// ---- Another program's clipboard -----------------------------------------------------------------

std::vector<UINT> X11ClipboardImpl::ForeignFormats() {
  std::lock_guard lock(mutex_);
  if (ownClipboard_ || lost_) return {};
  const std::vector<Atom> targets = ForeignTargets();
  auto has = [&](std::initializer_list<int> ids) {
    for (int id : ids)
      if (std::find(targets.begin(), targets.end(), atoms_[id]) != targets.end()) return true;
    return false;
  };
  std::vector<UINT> formats;
  if (has({kSelUtf8String, kSelTextPlainUtf8, kSelText, kSelTextPlain}) ||
      std::find(targets.begin(), targets.end(), XA_STRING) != targets.end())
    formats.push_back(CF_UNICODETEXT);
  if (has({kSelImagePng, kSelImageBmp})) formats.push_back(CF_DIB);
  return formats;
}

bool X11ClipboardImpl::ForeignData(UINT format, std::vector<uint8_t>& bytes) {
  std::lock_guard lock(mutex_);
  bytes.clear();
  if (ownClipboard_ || lost_) return false;
  const std::vector<Atom> targets = ForeignTargets();
  auto offered = [&](Atom a) { return std::find(targets.begin(), targets.end(), a) != targets.end(); };
  std::string data;
  Atom type = 0;
  if (format == CF_UNICODETEXT) {
    for (Atom target : {atoms_[kSelUtf8String], atoms_[kSelTextPlainUtf8], XA_STRING, atoms_[kSelText]}) {
      if (!offered(target) || !Convert(target, data, type)) continue;
      const String text = TextFromDesktop(data, type == XA_STRING);
      bytes.resize(text.size() * sizeof(Char));
      if (!text.empty()) std::memcpy(bytes.data(), text.data(), bytes.size());
      return true;
    }
    return false;
  }
  if (format != CF_DIB) return false;
  if (offered(atoms_[kSelImagePng]) && Convert(atoms_[kSelImagePng], data, type))
    bytes = PngToDib(reinterpret_cast<const uint8_t*>(data.data()), data.size());
  if (bytes.empty() && offered(atoms_[kSelImageBmp]) && Convert(atoms_[kSelImageBmp], data, type))
    bytes = BmpFileToDib(reinterpret_cast<const uint8_t*>(data.data()), data.size());
  return !bytes.empty();
}

// ---- The program's clipboard ---------------------------------------------------------------------

void X11ClipboardImpl::ProgramOwnsClipboard() {
  // Called with the clipboard's lock held, on the thread that closed it.
  const bool text = IsClipboardFormatAvailable(CF_UNICODETEXT) != 0;
  const bool image = IsClipboardFormatAvailable(CF_DIB) != 0;
  std::lock_guard lock(mutex_);
  if (lost_) return;
  hasText_ = text;
  hasImage_ = image;
  const Time time = ServerTime();
  XSetSelectionOwner(dpy_, atoms_[kSelClipboard], win_, time);
  ownClipboard_ = XGetSelectionOwner(dpy_, atoms_[kSelClipboard]) == win_;
  clipboardTime_ = time;
}

void X11ClipboardImpl::PrimarySelectionChanged(const String& text) {
  std::lock_guard lock(mutex_);
  // An emptied selection leaves PRIMARY as it was, as other programs do.
  if (lost_ || text.empty()) return;
  primary_ = text;
  const Time time = ServerTime();
  XSetSelectionOwner(dpy_, XA_PRIMARY, win_, time);
  ownPrimary_ = XGetSelectionOwner(dpy_, XA_PRIMARY) == win_;
  primaryTime_ = time;
}

void X11ClipboardImpl::Reply(const XSelectionRequestEvent& req, Atom property) {
  XEvent n{};
  n.xselection.type = SelectionNotify;
  n.xselection.display = dpy_;
  n.xselection.requestor = req.requestor;
  n.xselection.selection = req.selection;
  n.xselection.target = req.target;
  n.xselection.property = property;
  n.xselection.time = req.time;
  XErrorTrap trap(dpy_);
  XSendEvent(dpy_, req.requestor, False, NoEventMask, &n);
  XFlush(dpy_);
}

void X11ClipboardImpl::Send(const XSelectionRequestEvent& req, Atom property, Atom type, int format,
                            std::string data) {
  std::lock_guard lock(mutex_);
  XErrorTrap trap(dpy_);
  if (format == 8 && data.size() > chunk_) {
    // Announce the size; the pieces follow as the requestor deletes the property.
    ++incrSent_;
    XSelectInput(dpy_, req.requestor, PropertyChangeMask);
    const long size = static_cast<long>(data.size());
    XChangeProperty(dpy_, req.requestor, property, atoms_[kSelIncr], 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&size), 1);
    std::erase_if(outgoing_,
                  [&](const Outgoing& o) { return o.requestor == req.requestor && o.property == property; });
    outgoing_.push_back(Outgoing{req.requestor, property, type, std::move(data), 0});
  } else {
    const size_t unit = format == 32 ? sizeof(long) : 1;
    XChangeProperty(dpy_, req.requestor, property, type, format, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()),
                    static_cast<int>(data.size() / unit));
  }
  Reply(req, property);
}

void X11ClipboardImpl::Serve(const XSelectionRequestEvent& req) {
  const bool clipboard = req.selection == atoms_[kSelClipboard];
  bool own = false, text = false, image = false;
  Time since = 0;
  String primary;
  {
    std::lock_guard lock(mutex_);
    own = clipboard ? ownClipboard_ : req.selection == XA_PRIMARY && ownPrimary_;
    text = clipboard ? hasText_ : true;
    image = clipboard && hasImage_;
    since = clipboard ? clipboardTime_ : primaryTime_;
    primary = primary_;
  }
  // Obsolete clients name no property: the target is the property then.
  const Atom property = req.property ? req.property : req.target;
  auto refuse = [&] {
    std::lock_guard lock(mutex_);
    Reply(req, 0);
  };
  if (!own || (req.time != CurrentTime && req.time < since)) return refuse();
  const Atom target = req.target;
  if (target == atoms_[kSelTargets]) {
    std::vector<long> list = {static_cast<long>(atoms_[kSelTargets]),
                              static_cast<long>(atoms_[kSelTimestamp])};
    if (text)
      for (Atom a : {atoms_[kSelUtf8String], atoms_[kSelTextPlainUtf8], XA_STRING, atoms_[kSelText],
                     atoms_[kSelTextPlain]})
        list.push_back(static_cast<long>(a));
    if (image)
      for (Atom a : {atoms_[kSelImagePng], atoms_[kSelImageBmp]}) list.push_back(static_cast<long>(a));
    std::string data(reinterpret_cast<const char*>(list.data()), list.size() * sizeof(long));
    return Send(req, property, XA_ATOM, 32, std::move(data));
  }
  if (target == atoms_[kSelTimestamp]) {
    const long t = static_cast<long>(since);
    return Send(req, property, XA_INTEGER, 32, std::string(reinterpret_cast<const char*>(&t), sizeof t));
  }
  const bool utf8 =
      target == atoms_[kSelUtf8String] || target == atoms_[kSelTextPlainUtf8] || target == atoms_[kSelText];
  const bool latin1 = target == XA_STRING || target == atoms_[kSelTextPlain];
  if (text && (utf8 || latin1)) {
    String value = primary;
    if (clipboard) {
      std::vector<uint8_t> bytes;
      if (!os::ClipboardDataForDesktop(CF_UNICODETEXT, bytes)) return refuse();
      value.assign(reinterpret_cast<const Char*>(bytes.data()), bytes.size() / sizeof(Char));
    }
    std::string data = TextToDesktop(value);
    if (latin1) {
      std::string narrow;
      for (Char c : TextFromDesktop(data)) {
        if (c == u'\r') continue;
        narrow.push_back(c < 0x100 ? static_cast<char>(c) : '?');
      }
      data = std::move(narrow);
    }
    const Atom type = latin1                                ? XA_STRING
                      : target == atoms_[kSelTextPlainUtf8] ? target
                                                            : atoms_[kSelUtf8String];
    return Send(req, property, type, 8, std::move(data));
  }
  if (image && (target == atoms_[kSelImagePng] || target == atoms_[kSelImageBmp])) {
    std::vector<uint8_t> dib;
    if (!os::ClipboardDataForDesktop(CF_DIB, dib)) return refuse();
    std::string data = target == atoms_[kSelImagePng] ? DibToPng(dib) : DibToBmpFile(dib);
    if (data.empty()) return refuse();
    return Send(req, property, target, 8, std::move(data));
  }
  refuse();
}

void X11ClipboardImpl::OwnerChanged(Atom selection, ::Window owner, Time time, bool clear) {
  if (selection != atoms_[kSelClipboard]) {
    if (selection == XA_PRIMARY && clear) {
      std::lock_guard lock(mutex_);
      ownPrimary_ = false;
    }
    return;
  }
  {
    std::lock_guard lock(mutex_);
    if (owner == win_) return;
    // A change older than our taking the clipboard is over already.
    if (ownClipboard_ && time != CurrentTime && time < clipboardTime_) return;
    ownClipboard_ = false;
    // With XFixes every change is reported; the clear only repeats it.
    if (clear && fixesEvent_ >= 0) return;
  }
  os::ClipboardTakenByOtherProgram();
}

void X11ClipboardImpl::Process() {
  std::vector<XEvent> work;
  bool takenAtStart = false;
  {
    std::lock_guard lock(mutex_);
    work.swap(deferred_);
    while (!lost_ && XPending(dpy_)) {
      XEvent ev;
      XNextEvent(dpy_, &ev);
      if (!ContinueOutgoing(ev)) work.push_back(ev);
    }
    takenAtStart = takenAtStart_;
    takenAtStart_ = false;
  }
  if (takenAtStart) os::ClipboardTakenByOtherProgram();
  for (XEvent& ev : work) {
    if (ev.type == SelectionRequest) {
      Serve(ev.xselectionrequest);
    } else if (ev.type == SelectionClear) {
      OwnerChanged(ev.xselectionclear.selection, 0, ev.xselectionclear.time, true);
    } else if (fixesEvent_ >= 0 && ev.type == fixesEvent_ + XFixesSelectionNotify) {
      const auto& f = reinterpret_cast<const XFixesSelectionNotifyEvent&>(ev);
      OwnerChanged(f.selection, f.owner, f.selection_timestamp, false);
    }
  }
}

}  // namespace

std::unique_ptr<X11Clipboard> X11Clipboard::Create(const char* displayName, std::function<void()> wake) {
  Display* dpy = XOpenDisplay(displayName);
  if (!dpy) return nullptr;
  auto clipboard = std::make_unique<X11ClipboardImpl>(dpy, std::move(wake));
  if (!clipboard->Init()) return nullptr;
  return clipboard;
}

}  // namespace qd::display
