#pragma once
// Touch gestures: the system's gesture functions bound by name, the records of WM_GESTURE
// and WM_GESTURENOTIFY, the framework's gesture event, and the per-control gesture handler
// that finds the part under the finger, sends the gesture to the right control and drives
// gesture scrolling with overpan feedback.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/geometry.h"
#include "platform/base/set.h"
#include "platform/forms/controls.h"
#include "platform/os/wintypes.h"

namespace qd {

// ---- The system's records -------------------------------------------------------------------
constexpr DWORD GID_BEGIN = 1;
constexpr DWORD GID_END = 2;
constexpr DWORD GID_ZOOM = 3;
constexpr DWORD GID_PAN = 4;
constexpr DWORD GID_ROTATE = 5;
constexpr DWORD GID_TWOFINGERTAP = 6;
constexpr DWORD GID_PRESSANDTAP = 7;
constexpr DWORD GF_BEGIN = 0x00000001;
constexpr DWORD GF_INERTIA = 0x00000002;
constexpr DWORD GF_END = 0x00000004;
constexpr DWORD GC_ALLGESTURES = 0x00000001;
constexpr DWORD GC_PAN = 0x00000001;
constexpr DWORD GC_PAN_WITH_SINGLE_FINGER_VERTICALLY = 0x00000002;
constexpr DWORD GC_PAN_WITH_SINGLE_FINGER_HORIZONTALLY = 0x00000004;
constexpr DWORD GC_PAN_WITH_GUTTER = 0x00000008;
constexpr DWORD GC_PAN_WITH_INERTIA = 0x00000010;

struct HGESTUREINFO__;
using HGESTUREINFO = HGESTUREINFO__*;

struct GESTUREINFO {
  UINT cbSize = sizeof(GESTUREINFO);
  DWORD dwFlags = 0;
  DWORD dwID = 0;
  HWND hwndTarget = nullptr;
  POINTS ptsLocation;  // screen, physical
  DWORD dwInstanceID = 0;
  DWORD dwSequenceID = 0;
  uint64_t ullArguments = 0;
  UINT cbExtraArgs = 0;
};

struct GESTURENOTIFYSTRUCT {
  UINT cbSize = sizeof(GESTURENOTIFYSTRUCT);
  DWORD dwFlags = 0;
  HWND hwndTarget = nullptr;
  POINTS ptsLocation;  // screen, physical
  DWORD dwInstanceID = 0;
};

struct GESTURECONFIG {
  DWORD dwID = 0;
  DWORD dwWant = 0;
  DWORD dwBlock = 0;
};
using TdxGestureConfig = GESTURECONFIG;
using TdxGestureConfigs = std::vector<TdxGestureConfig>;

// The rotation angle (radians) coded in a rotate gesture's argument.
double GID_ROTATE_ANGLE_FROM_ARGUMENT(uint64_t AArgument);

// WM_GESTURENOTIFY as a message record (lParam points to the notification).
struct TWMGestureNotify {
  UINT Msg = WM_GESTURENOTIFY;
  WPARAM Unused = 0;
  GESTURENOTIFYSTRUCT* NotifyStruct = nullptr;
  LRESULT Result = 0;
};

// ---- The framework's gesture event --------------------------------------------------------
// Identifiers of the framework's gestures: the system identifier + 256.
using TGestureID = int32_t;
constexpr TGestureID igiBegin = 257;
constexpr TGestureID igiEnd = 258;
constexpr TGestureID igiZoom = 259;
constexpr TGestureID igiPan = 260;
constexpr TGestureID igiRotate = 261;
constexpr TGestureID igiTwoFingerTap = 262;
constexpr TGestureID igiPressAndTap = 263;

enum TInteractiveGestureFlag : uint8_t { gfBegin, gfInertia, gfEnd };
using TInteractiveGestureFlags = TSet<TInteractiveGestureFlag>;

// What a control receives with CM_GESTURE (lParam points to it; result 1: handled).
struct TGestureEventInfo {
  TGestureID GestureID = 0;
  TPoint Location;  // client coordinates of the target
  TInteractiveGestureFlags Flags;
  double Angle = 0;
  TPoint InertiaVector;
  TPoint TapLocation;
  int32_t Distance = 0;
};

enum TScrollBarKind : uint8_t { sbHorizontal, sbVertical };

// ---- Mapping tables -------------------------------------------------------------------------
inline constexpr DWORD dxSupportedGestureIDs[] = {GID_PAN, GID_ZOOM, GID_ROTATE, GID_TWOFINGERTAP,
                                                  GID_PRESSANDTAP};
// By igoPanSingleFingerHorizontal, igoPanSingleFingerVertical, igoPanInertia, igoPanGutter.
inline constexpr DWORD dxTouchInteractiveGestureOptionToPanOption[] = {
    GC_PAN_WITH_SINGLE_FINGER_HORIZONTALLY, GC_PAN_WITH_SINGLE_FINGER_VERTICALLY, GC_PAN_WITH_INERTIA,
    GC_PAN_WITH_GUTTER};

TInteractiveGesture GetInteractiveGestureByGestureID(DWORD AID);
TInteractiveGestureOption GetInteractiveGestureOptionByPanOptionID(DWORD AID);
TInteractiveGestureOptions GetInteractiveGestureOptionsByPanOptions(DWORD AMask);
DWORD GetPanOptionsByInteractiveGestureOptions(TInteractiveGestureOptions AOptions);

// SetGestureConfig for the window when bound, else False.
bool dxSetGestureConfig(HWND AWnd, const TdxGestureConfigs& AConfigs);
// PhysicalToLogicalPoint when bound, else False (APoint unchanged).
bool dxPhysicalToLogicalPoint(HWND AWnd, TPoint& APoint);
// Blocks every gesture for the window and answers the notification with 1.
void dxLockGestures(HWND AWnd, TWMGestureNotify& AMessage);

// ---- Gesture owner and clients -------------------------------------------------------------
class IdxGestureClient {
 public:
  virtual ~IdxGestureClient() = default;
  virtual bool AllowGesture(TGestureID AGestureID) = 0;
  virtual bool AllowPan(TScrollBarKind AScrollKind) = 0;
  virtual void BeginGestureScroll(const TPoint& APos) = 0;
  virtual void EndGestureScroll() = 0;
  virtual void GestureScroll(int32_t ADeltaX, int32_t ADeltaY) = 0;
  virtual TInteractiveGestureOptions GetPanOptions() = 0;
  virtual bool IsPanArea(const TPoint& APoint) = 0;
  virtual bool NeedPanningFeedback(TScrollBarKind AScrollKind) = 0;
};

// Implemented by a control: the part under a client point, its window, and coordinates.
class IdxGestureOwner {
 public:
  virtual ~IdxGestureOwner() = default;
  virtual IdxGestureClient* GetGestureClient(const TPoint& APoint) = 0;
  virtual HWND GetHandle() = 0;
  virtual bool IsGestureTarget(HWND AWnd) = 0;
  virtual TPoint ScreenToClient(const TPoint& APoint) = 0;
};

class IdxZoomClient {
 public:
  virtual ~IdxZoomClient() = default;
  virtual void Zoom(int32_t ADelta, bool& AHandled) = 0;
};

class IdxRotateClient {
 public:
  virtual ~IdxRotateClient() = default;
  virtual void Rotate(bool& AHandled, double AAngle, int32_t AArgument) = 0;
};

// ---- The gesture handler of one control --------------------------------------------------
class TdxGestureControlWatcher;

class TdxGestureHelper {
 public:
  explicit TdxGestureHelper(IdxGestureOwner* AGestureOwner);
  virtual ~TdxGestureHelper();
  TdxGestureHelper(const TdxGestureHelper&) = delete;
  TdxGestureHelper& operator=(const TdxGestureHelper&) = delete;

  // WM_GESTURE and WM_GESTURENOTIFY are taken (True); WM_DESTROY ends a running pan.
  bool HandleMessage(TMessage& AMessage);
  // Drops the pan directions (and pan itself) the client under the touch point does not
  // allow.
  void CheckGestureOptions(TInteractiveGestures& AGestures, TInteractiveGestureOptions& AOptions);
  // The gesture event as the target control received it: zoom, pan and rotate.
  void DoGesture(const TGestureEventInfo& AEventInfo, bool& AHandled);
  // While gesture scrolling: data beyond its range grows the overpan feedback.
  void CheckOverpan(TScrollBarKind AScrollKind, int32_t ANewDataPos, int32_t AMinDataPos, int32_t AMaxDataPos,
                    int32_t ADeltaX, int32_t ADeltaY);
  // The start of the last gesture in the owner's client coordinates.
  TPoint GetTouchStartPoint();

  bool IsPanning() const { return FIsPanning; }
  bool IsInertia() const { return FIsInertia; }
  TPoint OverPan() const { return FOverPan; }

 protected:
  virtual bool AllowGesture(TGestureID AGestureID);
  virtual bool AllowPan(TScrollBarKind AScrollKind);
  virtual HWND GetHandle();
  virtual TInteractiveGestureOptions GetPanOptions();
  virtual bool IsGestureTarget(HWND AWnd);
  virtual bool IsPanArea(const TPoint& APoint);
  virtual bool NeedPanningFeedback(TScrollBarKind AScrollKind);
  virtual TPoint ScreenToClient(const TPoint& APoint);

 private:
  friend void dxTouchWndProcHook(int ACode, WPARAM AWParam, LPARAM ALParam, LRESULT& AResult);

  bool Gesture(TMessage& AMessage);
  void GestureNotify(TMessage& AMessage);
  void BeginGestureScroll(const TPoint& APos);
  void EndGestureScroll();
  void Pan(TPoint APoint, bool ABegin, bool AInertia, bool AEnd);
  void Zoom(int32_t ADistance, bool ABegin, bool AEnd, bool& AHandled);
  void Rotate(bool ABegin, bool AEnd, double AAngle, int32_t AArgument, bool& AHandled);
  void UpdatePanningFeedback();

  IdxGestureOwner* FGestureOwner;
  IdxGestureClient* FGestureClient = nullptr;
  IdxGestureClient* FGestureNotifyClient = nullptr;
  bool FIsInertia = false;
  bool FIsPanning = false;
  bool FPanningFeedback = false;
  int32_t FLastDistance = 0;
  TPoint FPanPoint;
  TPoint FOverPan;
  TControl* FNotifyTouchControl = nullptr;
  TControl* FTouchControl = nullptr;
  std::unique_ptr<TdxGestureControlWatcher> FControlWatcher;
};

// The call-window-procedure hook handler that records where each gesture starts.
void dxTouchWndProcHook(int ACode, WPARAM AWParam, LPARAM ALParam, LRESULT& AResult);

// Start-up binds the gesture functions and adds the hook handler; shut-down removes it.
namespace dxTouch {
void Initialize();
void Finalize();
}  // namespace dxTouch

}  // namespace qd
