#pragma once
// The control framework's window and system utilities: window geometry (the part the
// graphics layer prints windows with lives in ui/core/cxWindowGeometry.h), window state and
// styles, layered windows, mouse and keyboard state, popup menus, drag detection, mouse
// tracking, the system-information object and the designer notification.
//
// Lower layers (ui/graphics, ui/lookandfeel) link below qd_controls and must not include
// this header; when they need these functions, the functions move down to ui/core or get a
// declaration there.
#include <cstdint>
#include <vector>

#include "platform/base/geometry.h"
#include "platform/forms/controls.h"
#include "platform/os/user.h"
#include "platform/os/wintypes.h"
#include "ui/core/cxClassesTimer.h"
#include "ui/core/cxWindowGeometry.h"

namespace qd {

class TBitmap;
class TComponent;
class TCustomForm;
class TWinControl;

enum TcxDragDetect : uint8_t { ddNone, ddDrag, ddCancel };
enum TcxNumberType : uint8_t { ntInteger, ntFloat, ntExponent };
enum TdxSetOperation : uint8_t { soSet, soAdd, soSubtract };
enum TdxWindowStyleIndex : uint8_t { wsiStyle, wsiExStyle };

// --- Window geometry ---------------------------------------------------------------------------

// ClientToScreen on a copy of P.
TPoint cxClientToScreen(HWND AWnd, const TPoint& P);
TPoint cxClientToParent(TControl* AControl, const TPoint& P, TWinControl* AParent);
// With AClientArea, the system's point mapping between client areas (0 is the screen);
// otherwise window coordinates, by the two window rectangles' top-left corners.
TPoint dxMapWindowPoint(HWND AWndFrom, HWND AWndTo, const TPoint& P, bool AClientArea = true);
// The deepest visible window under the screen point (a disabled one too); 0 when none.
HWND cxWindowFromPoint(const TPoint& P);
// The monitor's work area; the screen's work area for a 0 monitor.
TRect GetMonitorWorkArea(HMONITOR AMonitor);
// The work area of the monitor nearest to P.
TRect GetDesktopWorkArea(const TPoint& P);
// Moves R (size kept) into the work area of the monitor nearest to P: right, bottom, then
// left and top edges, so a rectangle larger than the area starts at its left and top.
void MakeVisibleOnDesktop(TRect& R, const TPoint& P);

// --- Window state and styles ---------------------------------------------------------------------

bool IsChildEx(HWND AParentWnd, HWND AWnd);
// Disabled when the window or any ancestor up to the first top-level window is disabled.
bool IsWindowEnabledEx(HWND AWnd);
bool IsControlVisible(TWinControl* AControl);
bool IsMDIChild(TCustomForm* AForm);
bool dxIsMDIChildWindow(HWND AWnd);
bool dxIsCurrentProcessWindow(HWND AWnd);
bool dxWindowHasRightToLeftLayout(HWND AWnd);
// Answers the previous style.
LONG dxSetWindowStyle(HWND AWnd, LONG AStyle, TdxSetOperation AOperation = soSet,
                      TdxWindowStyleIndex AIndex = wsiStyle);
// Answers the previous procedure.
WNDPROC dxSetWindowProc(HWND AWnd, WNDPROC AProc);
// Z-order only (no move, no size; no activation unless asked).
void dxSetZOrder(HWND AWnd, HWND AWndInsertAfter = HWND_TOP, bool AActivate = false, UINT AFlags = 0);
void cxRedrawWindow(HWND AWnd, UINT AFlags);
void cxRedrawNCRect(HWND AWnd, const TRect& R);
void cxRecreateControlWnd(TWinControl* AControl, bool APost = false);
// Whether the control has or can get a window.
bool CanAllocateHandle(TWinControl* AControl);
// The first platform control from the window up its ancestors; nullptr when none.
TWinControl* dxFindParentControl(HWND AWnd);
TWinControl* cxFindVCLControl(HWND AWnd);
TCustomForm* dxGetParentForm(HWND AWnd);
TCustomForm* dxGetScreenActiveForm();
// The first component owned by AParent (in ownership order) of the class.
TComponent* cxFindComponent(TComponent* AParent, TClass AClass);
// Performs the message on the control and each parent up to, not including, the first form.
void dxPerformMessageByQueue(TControl* AControl, UINT AMsg);

// --- Layered windows -----------------------------------------------------------------------------

void cxSetLayeredWindowAttributes(HWND AWnd, int32_t AAlpha);
bool cxIsUpdateLayeredWindowAvailable();
void cxUpdateLayeredWindow(HWND AWnd, TBitmap* ABitmap, const TSize& ASize, uint8_t AAlpha = 255);
void cxUpdateLayeredWindow(HWND AWnd, TBitmap* ABitmap, uint8_t AAlpha = 255);

// --- Mouse and keyboard state ---------------------------------------------------------------

// The invalid point (-1, -1) when it cannot be read.
TPoint GetMouseCursorPos();
// MK_ flags of the buttons and keys that are down now.
WPARAM GetMouseKeys();
WPARAM ShiftStateToKeys(TShiftState AShift);
bool cxShiftStateMoveOnly(TShiftState AShift);
bool cxShiftStateLeftOnly(TShiftState AShift, bool ACanIncludeDoubleClick = false);
bool IsCtrlPressed();
UINT GetDblClickInterval();
// Takes the capture unless the window has it; answers the window that had it.
HWND cxSetCapture(HWND AWnd);
// Button-down and double-click messages of the left, right and middle buttons, client and
// non-client (not the X buttons).
bool IsMouseDownMessage(UINT AMsg);
bool IsPointInDragDetectArea(const TPoint& ADownPos, int32_t X, int32_t Y);
// Keys that type no text (navigation, editing, function, modifier keys...).
bool IsSysKey(WORD AKey);
bool IsNumericChar(Char C, TcxNumberType ANumberType);
bool IsTextChar(Char C);
WORD TranslateKey(WORD AKey);

// --- Popup menus ---------------------------------------------------------------------------------

// A popup menu that is not the platform's.
class IcxPopupMenu {
 public:
  virtual ~IcxPopupMenu() = default;
  virtual bool IsShortCutKey(TMessage& AMessage) = 0;
  virtual void Popup(int32_t X, int32_t Y) = 0;
};

bool IsPopupMenu(TComponent* AComponent);
bool IsPopupMenuShortCut(TComponent* AMenu, TMessage& AMessage);
// At the screen point; answers whether a menu popped up.
bool ShowPopupMenu(TWinControl* AControl, TComponent* AMenu, int32_t X, int32_t Y);

// Answers whether it showed a context menu itself.
using TcxContextPopupHookFunc = bool (*)(TControl* AControl, TComponent* APopupMenu, const TPoint& AMousePos);
extern TcxContextPopupHookFunc cxContextPopupHookFunc;

// --- Drag detection and mouse tracking -----------------------------------------------------

// Runs a message loop with the mouse captured until the mouse leaves the drag square around
// P (screen), a button comes up, Escape is pressed or the capture goes elsewhere.
TcxDragDetect cxDragDetect(HWND AWnd, const TPoint& P);

class IcxMouseTrackingCaller {
 public:
  virtual ~IcxMouseTrackingCaller() = default;
  virtual void MouseLeave() = 0;
};
class IcxMouseTrackingCaller2 : public virtual IcxMouseTrackingCaller {
 public:
  // P in the control's client coordinates, or screen coordinates without a control.
  virtual bool PtInCaller(const TPoint& P) = 0;
};
class IcxMouseTrackingCaller3 : public virtual IcxMouseTrackingCaller {
 public:
  // Tracking goes on although the cursor left the caller.
  virtual bool IsCaptureMouse() = 0;
};

// A 10 ms timer that watches whether the cursor is still over the caller.
class TMouseTrackingTimer : public TcxTimer {
  QD_CLASS(TMouseTrackingTimer, TcxTimer)

 public:
  TMouseTrackingTimer(TWinControl* AControl, const TRect& ABounds, IcxMouseTrackingCaller* ACaller);
  ~TMouseTrackingTimer() override;

  TWinControl* Control() const { return FControl; }
  const TRect& Bounds() const { return FBounds; }
  IcxMouseTrackingCaller* Caller() const { return FCaller; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  bool IsCursorInCaller(const TPoint& APos);
  void TimerHandler(TObject* ASender);
  void EndTracking(const TPoint& APos);

  TWinControl* FControl;
  bool FControlGone = false;  // the control was given and has been destroyed since
  TRect FBounds;
  IcxMouseTrackingCaller* FCaller;
};

// ABounds in the control's client coordinates, or in screen coordinates without a control.
void BeginMouseTracking(TWinControl* AControl, const TRect& ABounds, IcxMouseTrackingCaller* ACaller);
void EndMouseTracking(IcxMouseTrackingCaller* ACaller);
bool IsMouseTracking(IcxMouseTrackingCaller* ACaller);

// --- Designer and platform ---------------------------------------------------------------------

// Tells the form designer that the component changed, unless it is not being designed or
// it (or, for a control, one of its parents) is loading, being written or destroyed. This
// platform runs no designer: the notification goes to the hook below when one is set.
void SetDesignerModified(TComponent* AComponent);
using TdxDesignerModifiedProc = void (*)(TComponent* AComponent);
void dxSetDesignerModifiedHook(TdxDesignerModifiedProc AProc);

// The erase message asks for erasing into a memory DC (wParam equals lParam).
bool cxIsDrawToMemory(const TMessage& AEraseMessage);
// The platform's deferred print-client message of a window painted on glass.
constexpr UINT WM_DXDEFERREDPRINTCLIENT = 0xB04D;
// Dispatches at once the queued deferred print-client messages of a control painting on glass.
void dxForceProcessBufferedPaintMessages(TWinControl* AControl);

// --- System settings -------------------------------------------------------------------------

class IdxSystemInfoListener {
 public:
  virtual ~IdxSystemInfoListener() = default;
  // The SPI_ code of the setting that changed.
  virtual void Changed(UINT AParameter) = 0;
};

// The process-wide system-information object: a cache of a few system settings that
// follows WM_SETTINGCHANGE and tells its listeners.
class TdxSystemInfo : public TcxMessageWindow {
  QD_CLASS(TdxSystemInfo, TcxMessageWindow)

 public:
  TdxSystemInfo();

  // Asks SystemParametersInfoW for AParameter (no update flags) and answers whether it
  // succeeded. SPI_GETICONTITLELOGFONT passes the size of a LOGFONTW, SPI_GETNONCLIENTMETRICS
  // sets AValue's cbSize, SPI_GETANIMATION sets AValue's cbSize and passes it; other codes
  // leave AValue as the caller prepared it. The caller supplies a buffer of the right type.
  template <class T>
  bool GetParameter(uint32_t AParameter, T& AValue) {
    return GetParameter(AParameter, static_cast<void*>(&AValue), sizeof(T));
  }
  bool GetParameter(uint32_t AParameter, void* AValue, size_t AValueSize);

  const NONCLIENTMETRICSW& NonClientMetrics() const { return FNonClientMetrics; }
  bool IsDropShadow() const { return FIsDropShadow; }
  bool IsRemoteSession() const;

  void AddListener(IdxSystemInfoListener* AListener);
  void RemoveListener(IdxSystemInfoListener* AListener);

 protected:
  void WndProc(TMessage& AMessage) override;

 private:
  void UpdateCache(UINT AParameter);

  std::vector<IdxSystemInfoListener*> FListeners;
  NONCLIENTMETRICSW FNonClientMetrics;
  bool FIsDropShadow = false;
};

// Created on the first call; nullptr once the control framework has shut down.
TdxSystemInfo* dxSystemInfo();

namespace cxControlsWindowUtils {
// Whether the control framework's shut-down has begun (the lazy globals answer nullptr).
bool UnitIsFinalized();
// Start-up: the globals may be created again; the layered-window entry points are bound.
void Initialize();
// Shut-down: no global is created any more; mouse tracking still under way is ended and
// the system-information object freed. Raises EdxException when tracking was left running.
void Finalize();
}  // namespace cxControlsWindowUtils

namespace cxControlsWindowUtilsDetail {
// Frees every mouse-tracking timer and the list; answers whether tracking was under way.
bool EndAllMouseTracking();
}  // namespace cxControlsWindowUtilsDetail

}  // namespace qd
