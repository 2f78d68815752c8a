#include "ui/core/cxWindowGeometry.h"

#include "platform/forms/controls.h"
#include "platform/os/user.h"

namespace qd {

bool IsChildClassWindow(HWND AWnd) {
  return (static_cast<DWORD>(GetWindowLongW(AWnd, GWL_STYLE)) & WS_CHILD) != 0;
}

TRect cxGetWindowRect(HWND AHandle) {
  TRect r{};
  if (!GetWindowRect(AHandle, &r)) r = {};
  return r;
}

TRect cxGetWindowRect(TWinControl* AControl) {
  return AControl && AControl->HandleAllocated() ? cxGetWindowRect(AControl->Handle()) : TRect{};
}

TRect cxGetClientRect(HWND AHandle) {
  TRect r{};
  if (!GetClientRect(AHandle, &r)) r = {};
  return r;
}

TRect cxGetWindowBounds(HWND AHandle) {
  const TRect r = cxGetWindowRect(AHandle);
  return {0, 0, r.Right - r.Left, r.Bottom - r.Top};
}

TRect cxGetWindowBounds(TWinControl* AControl) {
  return cxGetWindowBounds(AControl->Handle());
}

TPoint cxGetClientOffset(HWND AHandle) {
  const TRect windowRect = cxGetWindowRect(AHandle);
  TPoint origin{0, 0};
  ClientToScreen(AHandle, &origin);
  if (static_cast<DWORD>(GetWindowLongW(AHandle, GWL_EXSTYLE)) & WS_EX_LAYOUTRTL)
    return {windowRect.Right - origin.X, origin.Y - windowRect.Top};
  return {origin.X - windowRect.Left, origin.Y - windowRect.Top};
}

TRect dxMapWindowRect(HWND AFrom, HWND ATo, const TRect& R, bool AClientCoordinates) {
  TPoint p{R.Left, R.Top};
  if (AClientCoordinates) {
    MapWindowPoints(AFrom, ATo, &p, 1);
  } else {
    const TRect from = cxGetWindowRect(AFrom);
    const TRect to = cxGetWindowRect(ATo);
    p = {p.X + from.Left - to.Left, p.Y + from.Top - to.Top};
  }
  return {p.X, p.Y, p.X + (R.Right - R.Left), p.Y + (R.Bottom - R.Top)};
}

}  // namespace qd
