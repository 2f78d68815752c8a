// The modal move and size loop: WM_ENTERSIZEMOVE, WM_MOVING / WM_SIZING for each step (the
// window may change the proposed rectangle), the window following, WM_EXITSIZEMOVE.
#include <algorithm>

#include "platform/os/user_internal.h"

namespace qd::user {
namespace {

constexpr int kKeyboardStep = 8;

// Which edges a WMSZ_ value moves.
struct Edges {
  bool left = false, top = false, right = false, bottom = false;
};

Edges EdgesOf(WPARAM edge) {
  Edges e;
  e.left = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
  e.right = edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
  e.top = edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
  e.bottom = edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
  return e;
}

// The rectangle the drag proposes, screen coordinates, kept within the tracking sizes.
RECT Proposed(const RECT& start, int dx, int dy, bool move, WPARAM edge, POINT minSize, POINT maxSize) {
  RECT r = start;
  if (move) {
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
    return r;
  }
  const Edges e = EdgesOf(edge);
  if (e.left) r.Left = std::clamp(start.Left + dx, start.Right - maxSize.X, start.Right - minSize.X);
  if (e.right) r.Right = std::clamp(start.Right + dx, start.Left + minSize.X, start.Left + maxSize.X);
  if (e.top) r.Top = std::clamp(start.Top + dy, start.Bottom - maxSize.Y, start.Bottom - minSize.Y);
  if (e.bottom) r.Bottom = std::clamp(start.Bottom + dy, start.Top + minSize.Y, start.Top + maxSize.Y);
  return r;
}

// Places the window at a screen rectangle (a child in its parent's client coordinates).
void PlaceAt(HWND hwnd, RECT r, bool move) {
  if (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) {
    POINT corners[2] = {{r.Left, r.Top}, {r.Right, r.Bottom}};
    MapWindowPoints(nullptr, GetParent(hwnd), corners, 2);
    r = {corners[0].X, corners[0].Y, corners[1].X, corners[1].Y};
  }
  SetWindowPos(hwnd, nullptr, r.Left, r.Top, r.Width(), r.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE | (move ? SWP_NOSIZE : 0));
}

}  // namespace

void MoveSizeLoop(HWND hwnd, WPARAM command, LPARAM screenPoint) {
  const bool move = (command & 0xFFF0) == SC_MOVE;
  const DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
  if (!IsWindowVisible(hwnd) || IsZoomed(hwnd) || IsIconic(hwnd)) return;
  if (!move && !(style & WS_THICKFRAME)) return;
  // SC_SIZE carries the WMSZ_ edge; SC_MOVE may carry HTCAPTION.
  WPARAM edge = move ? 0 : command & 0x0F;
  const bool mouse = (GetKeyState(VK_LBUTTON) & 0x8000) != 0;
  POINT start{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
  if (!mouse || !screenPoint) GetCursorPos(&start);
  RECT original;
  GetWindowRect(hwnd, &original);
  MINMAXINFO mmi{};
  mmi.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  mmi.ptMaxTrackSize = {GetSystemMetrics(59), GetSystemMetrics(60)};
  SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  const POINT minSize{std::min(mmi.ptMinTrackSize.X, original.Width()),
                      std::min(mmi.ptMinTrackSize.Y, original.Height())};
  const POINT maxSize{std::max(mmi.ptMaxTrackSize.X, original.Width()),
                      std::max(mmi.ptMaxTrackSize.Y, original.Height())};

  SendMessageW(hwnd, WM_ENTERSIZEMOVE, 0, 0);
  if (!IsWindow(hwnd)) return;
  SetCapture(hwnd);
  POINT offset{0, 0};  // how far the mouse or the keys went from the start
  RECT current = original;
  auto step = [&](POINT to) {
    if (!move && edge == 0) return;
    const int dx = to.X - start.X, dy = to.Y - start.Y;
    RECT r = Proposed(original, dx, dy, move, edge, minSize, maxSize);
    if (move)
      SendMessageW(hwnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
    else
      SendMessageW(hwnd, WM_SIZING, edge, reinterpret_cast<LPARAM>(&r));
    if (!IsWindow(hwnd) || r == current) return;
    current = r;
    PlaceAt(hwnd, r, move && r.Width() == original.Width() && r.Height() == original.Height());
  };
  bool cancelled = false;
  for (bool done = false; !done;) {
    MSG msg;
    if (!GetMessageW(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!IsWindow(hwnd)) return;
    switch (msg.message) {
      case WM_MOUSEMOVE:
      case WM_NCMOUSEMOVE:
        if (mouse) step(msg.pt);
        break;
      case WM_LBUTTONUP:
      case WM_NCLBUTTONUP:
        done = true;
        break;
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN: {
        const int vk = static_cast<int>(msg.wParam);
        if (vk == VK_RETURN) {
          done = true;
        } else if (vk == VK_ESCAPE) {
          cancelled = done = true;
        } else if (vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN) {
          // The first arrow of a keyboard size picks the edge it moves.
          if (!move && edge == 0)
            edge = vk == VK_LEFT    ? WMSZ_LEFT
                   : vk == VK_RIGHT ? WMSZ_RIGHT
                   : vk == VK_UP    ? WMSZ_TOP
                                    : WMSZ_BOTTOM;
          offset.X += vk == VK_LEFT ? -kKeyboardStep : vk == VK_RIGHT ? kKeyboardStep : 0;
          offset.Y += vk == VK_UP ? -kKeyboardStep : vk == VK_DOWN ? kKeyboardStep : 0;
          step({start.X + offset.X, start.Y + offset.Y});
        }
        break;
      }
      case WM_KEYUP:
      case WM_SYSKEYUP:
      case WM_CHAR:
      case WM_SYSCHAR:
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_RBUTTONUP:
      case WM_NCLBUTTONDOWN:
        break;
      default:
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        break;
    }
    // The capture went elsewhere (another window took it, or a modal box came up).
    if (!IsWindow(hwnd)) return;
    if (GetCapture() != hwnd) break;
  }
  if (cancelled && current != original) PlaceAt(hwnd, original, false);
  if (GetCapture() == hwnd) ReleaseCapture();
  if (IsWindow(hwnd)) SendMessageW(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

}  // namespace qd::user
