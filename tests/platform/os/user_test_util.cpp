#include "user_test_util.h"

#include <cstdio>
#include <unordered_map>

namespace qd::testing {
namespace {

std::unordered_map<HWND, Override>& Overrides() {
  static std::unordered_map<HWND, Override> m;
  return m;
}

LRESULT RecorderProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  MessageLog::Get().Add({hwnd, msg, wParam, lParam});
  auto it = Overrides().find(hwnd);
  if (it != Overrides().end()) {
    Override handler = it->second;  // a handler may replace itself
    LRESULT r = 0;
    if (handler(hwnd, msg, wParam, lParam, r)) return r;
  }
  if (msg == WM_NCDESTROY) Overrides().erase(hwnd);
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

const char* MessageName(UINT msg) {
  static const std::map<UINT, const char*> names = {
      {WM_NULL, "WM_NULL"},
      {WM_CLIPBOARDUPDATE, "WM_CLIPBOARDUPDATE"},
      {WM_DESTROYCLIPBOARD, "WM_DESTROYCLIPBOARD"},
      {WM_RENDERFORMAT, "WM_RENDERFORMAT"},
      {WM_CREATE, "WM_CREATE"},
      {WM_DESTROY, "WM_DESTROY"},
      {WM_MOVE, "WM_MOVE"},
      {WM_SIZE, "WM_SIZE"},
      {WM_ACTIVATE, "WM_ACTIVATE"},
      {WM_SETFOCUS, "WM_SETFOCUS"},
      {WM_KILLFOCUS, "WM_KILLFOCUS"},
      {WM_ENABLE, "WM_ENABLE"},
      {WM_SETTEXT, "WM_SETTEXT"},
      {WM_GETTEXT, "WM_GETTEXT"},
      {WM_PAINT, "WM_PAINT"},
      {WM_CLOSE, "WM_CLOSE"},
      {WM_ERASEBKGND, "WM_ERASEBKGND"},
      {WM_SYSCOLORCHANGE, "WM_SYSCOLORCHANGE"},
      {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
      {WM_SETTINGCHANGE, "WM_SETTINGCHANGE"},
      {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
      {WM_TIMECHANGE, "WM_TIMECHANGE"},
      {WM_CANCELMODE, "WM_CANCELMODE"},
      {WM_SETCURSOR, "WM_SETCURSOR"},
      {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"},
      {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
      {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
      {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
      {WM_CONTEXTMENU, "WM_CONTEXTMENU"},
      {WM_STYLECHANGING, "WM_STYLECHANGING"},
      {WM_STYLECHANGED, "WM_STYLECHANGED"},
      {WM_DISPLAYCHANGE, "WM_DISPLAYCHANGE"},
      {WM_NCCREATE, "WM_NCCREATE"},
      {WM_NCDESTROY, "WM_NCDESTROY"},
      {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
      {WM_NCHITTEST, "WM_NCHITTEST"},
      {WM_NCPAINT, "WM_NCPAINT"},
      {WM_NCACTIVATE, "WM_NCACTIVATE"},
      {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"},
      {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"},
      {WM_NCLBUTTONDBLCLK, "WM_NCLBUTTONDBLCLK"},
      {WM_KEYDOWN, "WM_KEYDOWN"},
      {WM_KEYUP, "WM_KEYUP"},
      {WM_CHAR, "WM_CHAR"},
      {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
      {WM_SYSKEYUP, "WM_SYSKEYUP"},
      {WM_SYSCHAR, "WM_SYSCHAR"},
      {WM_TIMER, "WM_TIMER"},
      {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
      {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
      {WM_LBUTTONUP, "WM_LBUTTONUP"},
      {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
      {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
      {WM_RBUTTONUP, "WM_RBUTTONUP"},
      {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"},
      {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"},
      {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
      {WM_ENTERSIZEMOVE, "WM_ENTERSIZEMOVE"},
      {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
      {WM_EXITSIZEMOVE, "WM_EXITSIZEMOVE"},
      {WM_SIZING, "WM_SIZING"},
      {WM_MOVING, "WM_MOVING"},
      {WM_MOUSEHOVER, "WM_MOUSEHOVER"},
      {WM_MOUSELEAVE, "WM_MOUSELEAVE"},
      {WM_DPICHANGED, "WM_DPICHANGED"},
      {WM_DPICHANGED_BEFOREPARENT, "WM_DPICHANGED_BEFOREPARENT"},
      {WM_DPICHANGED_AFTERPARENT, "WM_DPICHANGED_AFTERPARENT"},
      {WM_PRINT, "WM_PRINT"},
      {WM_PRINTCLIENT, "WM_PRINTCLIENT"},
      {WM_THEMECHANGED, "WM_THEMECHANGED"},
      {WM_USER, "WM_USER"},
  };
  auto it = names.find(msg);
  return it == names.end() ? "?" : it->second;
}

MessageLog& MessageLog::Get() {
  static MessageLog log;
  return log;
}

std::string MessageLog::NameOf(HWND h) const {
  auto it = names_.find(h);
  return it == names_.end() ? "?" : it->second;
}

std::vector<std::string> MessageLog::Lines(const std::vector<UINT>& only) const {
  std::vector<std::string> out;
  for (auto& e : entries_) {
    if (!only.empty() && std::find(only.begin(), only.end(), e.msg) == only.end()) continue;
    std::string name = MessageName(e.msg);
    if (name == "?") {
      char hex[16];
      std::snprintf(hex, sizeof hex, "0x%X", e.msg);
      name = hex;
    }
    out.push_back(NameOf(e.hwnd) + ":" + name);
  }
  return out;
}

void SetOverride(HWND hwnd, Override handler) {
  if (handler)
    Overrides()[hwnd] = std::move(handler);
  else
    Overrides().erase(hwnd);
}

LPCWSTR RecorderClass() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSEXW wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &RecorderProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_WINDOW + 1));
    wc.lpszClassName = u"QdRecorder";
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassExW(&wc);
    registered = true;
  }
  return u"QdRecorder";
}

HWND CreateRecorded(const std::string& name, DWORD style, int x, int y, int w, int h, HWND parent,
                    DWORD exStyle, LPCWSTR cls) {
  HWND hwnd = CreateWindowExW(exStyle, cls ? cls : RecorderClass(), u"", style, x, y, w, h, parent, nullptr,
                              nullptr, nullptr);
  if (hwnd) MessageLog::Get().Name(hwnd, name);
  return hwnd;
}

int PumpMessages() {
  int n = 0;
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    ++n;
    TranslateMessage(&m);
    DispatchMessageW(&m);
    if (n > 10000) break;
  }
  return n;
}

}  // namespace qd::testing
