#pragma once
// Window printing: one window into a device context through WM_PRINT, a control with its
// child windows at a place on a canvas, the part of a parent that lies behind a transparent
// control, and mirrored drawing for right-to-left layouts.
#include <functional>

#include "platform/base/geometry.h"
#include "platform/forms/controls.h"
#include "platform/os/gdi.h"
#include "ui/graphics/cxGraphicsCanvas.h"

namespace qd {

// Prints the window into ADC with PRF_CLIENT and PRF_ERASEBKGND (plus PRF_CHILDREN); its
// non-client area too when asked and it has one. A DC whose window origin is not (0, 0)
// receives a non-client print through a memory bitmap copied to its (0, 0).
void cxPrintWindow(HWND AHandle, HDC ADC, bool ANonClient, bool AEraseBackground, bool APrintChildren);
// The control's window without children, its background erased first when it is
// double-buffered, with the platform canvas locked.
void cxPrintWindow(TWinControl* AControl, TcxCanvas* ACanvas, bool ANonClient);
// Paints the part ABounds of the control (window coordinates) at ADestPoint on the canvas,
// then, when asked, its child windows except those in the paint skip list.
void cxPaintControlTo(TWinControl* AControl, TcxCanvas* ACanvas, const TPoint& ADestPoint,
                      const TRect& ABounds, bool APaintChildren, bool ANonClient);
// Paints what lies behind the control inside ARect (control coordinates) at ADestPoint
// (ARect's top-left in the short form). A painting of the same parent already under way
// makes it return at once; the control itself is never painted into its own background.
void cxDrawTransparentControlBackground(TWinControl* AControl, TcxCanvas* ACanvas, const TRect& ARect,
                                        bool APaintParentChildren = true);
void cxDrawTransparentControlBackground(TWinControl* AControl, TcxCanvas* ACanvas, const TRect& ARect,
                                        const TPoint& ADestPoint, bool APaintParentChildren = true);
void cxDrawThemeParentBackground(TWinControl* AControl, TcxCanvas* ACanvas, const TRect& ARect);

// Runs AProc mirrored horizontally inside ARect when right-to-left is in force;
// AExcludeRightPixel moves the mirror axis half a pixel left (column Left maps to Right - 1).
void cxRightToLeftDependentDraw(HDC ADC, const TRect& ARect, bool AUseRightToLeftAlignment,
                                const std::function<void()>& AProc, bool AExcludeRightPixel = true);
void cxRightToLeftDependentDraw(TcxCanvas* ACanvas, const TRect& ARect, const std::function<void()>& AProc);

// The control framework tells whether a window belongs to one of its own controls (whose
// rectangle is filled with its colour before a non-client print); nullptr: none does.
using TcxIsLibraryControlFunc = bool (*)(TWinControl* AControl);
void cxSetIsLibraryControlFunc(TcxIsLibraryControlFunc AFunc);

}  // namespace qd
