// MessageBoxW: no dialog of its own; the backend may show one, else the text goes to
// standard error and the answer is the confirming button.
#include <cstdio>
#include <mutex>

#include "platform/base/strings.h"
#include "platform/os/user_display.h"
#include "platform/os/user_internal.h"

namespace qd::os {
namespace {
std::mutex g_mutex;
std::function<int(HWND, const String&, const String&, UINT)>& Handler() {
  static auto* h = new std::function<int(HWND, const String&, const String&, UINT)>;
  return *h;
}
}  // namespace

void SetMessageBoxHandler(std::function<int(HWND, const String&, const String&, UINT)> h) {
  std::lock_guard lock(g_mutex);
  Handler() = std::move(h);
}

}  // namespace qd::os

namespace qd {

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  const String t = text ? String(text) : String();
  const String c = caption ? String(caption) : String(u"Error");
  std::function<int(HWND, const String&, const String&, UINT)> handler;
  {
    std::lock_guard lock(os::g_mutex);
    handler = os::Handler();
  }
  if (handler) return handler(owner, t, c, type);
  if (os::DisplayBackend* b = os::GetDisplayBackend())
    if (int r = b->MessageBox(owner, t, c, type)) return r;
  std::string line = StringToUtf8(c) + ": " + StringToUtf8(t) + "\n";
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
  switch (type & 0x0F) {
    case MB_YESNO:
    case MB_YESNOCANCEL:
      return IDYES;
    case MB_RETRYCANCEL:
      return IDRETRY;
    case MB_ABORTRETRYIGNORE:
      return IDIGNORE;
    default:
      return IDOK;
  }
}

}  // namespace qd
