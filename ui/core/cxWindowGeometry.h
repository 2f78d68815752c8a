#pragma once
// Window geometry of the control framework, kept below the graphics layer, which prints
// windows with it: window and client rectangles, the client offset and rectangle mapping.
#include "platform/base/geometry.h"
#include "platform/os/wintypes.h"

namespace qd {

class TWinControl;

// The window's style has WS_CHILD.
bool IsChildClassWindow(HWND AWnd);

// The window rectangle in screen coordinates; all zero when it cannot be read.
TRect cxGetWindowRect(HWND AHandle);
// All zero while the control has no window (none is created).
TRect cxGetWindowRect(TWinControl* AControl);
// (0, 0, client width, client height); all zero when it cannot be read.
TRect cxGetClientRect(HWND AHandle);
// The window rectangle moved to the origin; all zero when it cannot be read.
TRect cxGetWindowBounds(HWND AHandle);
// For the control's window (created when it does not exist yet).
TRect cxGetWindowBounds(TWinControl* AControl);
// Where the client area starts inside the window rectangle; X is measured from the right
// edge for a window with a right-to-left layout.
TPoint cxGetClientOffset(HWND AHandle);
// R moved (size kept) so that its top-left point is mapped from AFrom's coordinates to
// ATo's: client coordinates through the system's point mapping, otherwise window
// coordinates.
TRect dxMapWindowRect(HWND AFrom, HWND ATo, const TRect& R, bool AClientCoordinates = true);

}  // namespace qd
