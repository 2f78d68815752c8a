#pragma once
// Middle-button scrolling: press (and drag) or click the middle button, and the content scrolls
// towards the pointer, faster the farther it is from where the scrolling began.
#include <cstdint>

#include "platform/classes/lists.h"
#include "platform/forms/controls.h"
#include "platform/os/wintypes.h"
#include "ui/controls/cxControlsRightToLeft.h"

namespace qd {

using TcxScrollContentProc = TMethod<void(TcxDirection ADirection)>;

// Where the pointer sends the content: no direction inside the neutral zone (the anchor
// bitmap's square around the anchor, widened to the whole screen along an axis that cannot
// scroll); speed 1..12 outside it.
struct TcxMiddleButtonScrollState {
  TcxDirection Direction = dirNone;
  int32_t Speed = 0;
  bool Moved = false;
};
TcxMiddleButtonScrollState cxCalculateMiddleButtonScroll(const TPoint& AAnchor, const TPoint& APoint,
                                                         int32_t ABitmapSize, bool AHorzScrollActive,
                                                         bool AVertScrollActive, const TSize& AScreenSize);

// Runs the scroll mode in its own message loop while AControl holds the mouse capture.
void cxProcessControlScrollingOnMiddleButton(TWinControl* AControl, bool AHorzScrollActive,
                                             bool AVertScrollActive, bool& AIsScrollingContent,
                                             const TcxScrollContentProc& AScrollContent);

}  // namespace qd
