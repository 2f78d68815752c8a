#pragma once
// The clipboard bridged to the X11 CLIPBOARD selection, and text the user selects offered as
// PRIMARY, on a connection of its own.
//
// Offered: UTF8_STRING, text/plain;charset=utf-8, STRING and TEXT for text; image/png and
// image/bmp for pictures; TARGETS and TIMESTAMP. Taken from other programs: text (UTF-8
// preferred) and pictures (PNG preferred). Data larger than the X server takes in one request
// goes in pieces (INCR), both ways. A change of the clipboard's owner on the desktop (seen
// through XFixes, else when we lose it) becomes WM_DESTROYCLIPBOARD / WM_CLIPBOARDUPDATE.
//
// The event thread calls Process() when Fd() is readable (and before it waits). Other
// programs' data is fetched on the thread that asks for it, waiting at most a few seconds.
//
// The header stays free of Xlib.
#include <functional>
#include <memory>

#include "platform/os/user_clipboard.h"

namespace qd::display {

class X11Clipboard : public os::ClipboardBridge {
 public:
  // Opens its own connection to the display (nullptr: $DISPLAY). `wake` wakes the event
  // thread when work for Process() arrived while another thread read the connection.
  static std::unique_ptr<X11Clipboard> Create(const char* displayName, std::function<void()> wake);

  virtual int Fd() const = 0;
  // Serves other programs' requests and takes note of ownership changes (event thread).
  virtual void Process() = 0;
  // Transfers that went in pieces (INCR) so far: sent, received.
  virtual int IncrementalTransfers(bool sent) const = 0;
};

}  // namespace qd::display
