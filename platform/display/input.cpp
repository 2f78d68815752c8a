#include "platform/display/input.h"

#include "platform/os/user_display.h"

namespace qd::display {
namespace {

UINT DownMessage(MouseButton b) {
  switch (b) {
    case MouseButton::Left:
      return WM_LBUTTONDOWN;
    case MouseButton::Right:
      return WM_RBUTTONDOWN;
    case MouseButton::Middle:
      return WM_MBUTTONDOWN;
    default:
      return WM_XBUTTONDOWN;
  }
}

WORD XButton(MouseButton b) {
  return b == MouseButton::X1 ? XBUTTON1 : b == MouseButton::X2 ? XBUTTON2 : 0;
}

POINT CursorPos() {
  POINT p;
  GetCursorPos(&p);
  return p;
}

}  // namespace

void MoveMouse(POINT screen) {
  os::InjectMouseMove(screen);
}

void MoveMouse(HWND hwnd, POINT client) {
  ClientToScreen(hwnd, &client);
  os::InjectMouseMove(client);
}

void MouseDown(MouseButton button) {
  os::InjectMouseButton(DownMessage(button), CursorPos(), XButton(button));
}

void MouseUp(MouseButton button) {
  os::InjectMouseButton(DownMessage(button) + 1, CursorPos(), XButton(button));
}

void Click(POINT screen, MouseButton button) {
  MoveMouse(screen);
  os::InjectMouseButton(DownMessage(button), screen, XButton(button));
  os::InjectMouseButton(DownMessage(button) + 1, screen, XButton(button));
}

void Click(HWND hwnd, POINT client, MouseButton button) {
  ClientToScreen(hwnd, &client);
  Click(client, button);
}

void DoubleClick(HWND hwnd, POINT client) {
  Click(hwnd, client);
  Click(hwnd, client);
}

void Wheel(int delta, bool horizontal) {
  os::InjectMouseWheel(CursorPos(), delta, horizontal);
}

void KeyDown(int vk) {
  os::InjectKey(vk, true);
}
void KeyUp(int vk) {
  os::InjectKey(vk, false);
}
void KeyPress(int vk) {
  KeyDown(vk);
  KeyUp(vk);
}

void TypeText(StringView text) {
  for (Char ch : text) {
    int vk = -1;
    bool shift = false;
    if (ch == u'\r' || ch == u'\n') {
      vk = VK_RETURN;
    } else if (ch == u'\t') {
      vk = VK_TAB;
    } else if (ch == 8) {
      vk = VK_BACK;
    } else {
      SHORT scan = VkKeyScanW(ch);
      if (scan != -1) {
        vk = scan & 0xFF;
        shift = (scan & 0x100) != 0;
      }
    }
    if (vk < 0) {
      os::InjectKey(VK_PACKET, true, ch);
      os::InjectKey(VK_PACKET, false, ch);
      continue;
    }
    if (shift) os::InjectKey(VK_SHIFT, true);
    os::InjectKey(vk, true);
    os::InjectKey(vk, false);
    if (shift) os::InjectKey(VK_SHIFT, false);
  }
}

int ProcessMessages() {
  int n = 0;
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));  // leave it for the real loop
      break;
    }
    ++n;
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return n;
}

}  // namespace qd::display
