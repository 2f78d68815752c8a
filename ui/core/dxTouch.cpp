#include "ui/core/dxTouch.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "platform/os/kernel.h"
#include "platform/os/user.h"
#include "ui/core/cxClasses.h"
#include "ui/core/dxCore.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/core/dxHooks.h"
#include "ui/core/dxUxTheme.h"

namespace qd {

namespace {

using TGetGestureInfo = BOOL (*)(HGESTUREINFO, GESTUREINFO*);
using TCloseGestureInfoHandle = BOOL (*)(HGESTUREINFO);
using TSetGestureConfig = BOOL (*)(HWND, DWORD, UINT, GESTURECONFIG*, UINT);
using TPointConversion = BOOL (*)(HWND, POINT*);

TGetGestureInfo FGetGestureInfo = nullptr;
TCloseGestureInfoHandle FCloseGestureInfoHandle = nullptr;
TSetGestureConfig FSetGestureConfig = nullptr;
TPointConversion FLogicalToPhysicalPoint = nullptr;
TPointConversion FPhysicalToLogicalPoint = nullptr;

TPoint FGestureStartPoint;
bool FNeedScalePanning = false;
std::vector<TdxGestureHelper*>* FTouchHelpers = nullptr;

constexpr double kPi = 3.14159265358979323846;

TPoint PointFromPOINTS(const POINTS& APoint) {
  return {APoint.x, APoint.y};
}

TPoint PointFromArgument(uint64_t AArgument) {
  const auto low = static_cast<uint32_t>(AArgument);
  return {static_cast<int16_t>(low & 0xFFFF), static_cast<int16_t>(low >> 16)};
}

}  // namespace

double GID_ROTATE_ANGLE_FROM_ARGUMENT(uint64_t AArgument) {
  return (static_cast<double>(AArgument & 0xFFFFFFFFu) / 65535.0) * 4.0 * kPi - 2.0 * kPi;
}

// --- Mapping tables ---------------------------------------------------------------------------

TInteractiveGesture GetInteractiveGestureByGestureID(DWORD AID) {
  switch (AID) {
    case GID_ZOOM:
      return igZoom;
    case GID_PAN:
      return igPan;
    case GID_ROTATE:
      return igRotate;
    case GID_TWOFINGERTAP:
      return igTwoFingerTap;
    default:
      return igPressAndTap;
  }
}

TInteractiveGestureOption GetInteractiveGestureOptionByPanOptionID(DWORD AID) {
  switch (AID) {
    case GC_PAN_WITH_SINGLE_FINGER_VERTICALLY:
      return igoPanSingleFingerVertical;
    case GC_PAN_WITH_SINGLE_FINGER_HORIZONTALLY:
      return igoPanSingleFingerHorizontal;
    case GC_PAN_WITH_GUTTER:
      return igoPanGutter;
    default:
      return igoPanInertia;
  }
}

TInteractiveGestureOptions GetInteractiveGestureOptionsByPanOptions(DWORD AMask) {
  TInteractiveGestureOptions result;
  for (DWORD id : {GC_PAN_WITH_SINGLE_FINGER_VERTICALLY, GC_PAN_WITH_SINGLE_FINGER_HORIZONTALLY,
                   GC_PAN_WITH_GUTTER, GC_PAN_WITH_INERTIA})
    if (AMask & id) result.Include(GetInteractiveGestureOptionByPanOptionID(id));
  return result;
}

DWORD GetPanOptionsByInteractiveGestureOptions(TInteractiveGestureOptions AOptions) {
  DWORD result = 0;
  const TInteractiveGestureOption options[] = {igoPanSingleFingerHorizontal, igoPanSingleFingerVertical,
                                               igoPanInertia, igoPanGutter};
  for (size_t i = 0; i < std::size(options); ++i)
    if (AOptions.Contains(options[i])) result |= dxTouchInteractiveGestureOptionToPanOption[i];
  return result;
}

bool dxSetGestureConfig(HWND AWnd, const TdxGestureConfigs& AConfigs) {
  if (!FSetGestureConfig) return false;
  TdxGestureConfigs configs = AConfigs;
  return FSetGestureConfig(AWnd, 0, static_cast<UINT>(configs.size()), configs.data(), sizeof(GESTURECONFIG));
}

bool dxPhysicalToLogicalPoint(HWND AWnd, TPoint& APoint) {
  return FPhysicalToLogicalPoint && FPhysicalToLogicalPoint(AWnd, &APoint);
}

void dxLockGestures(HWND AWnd, TWMGestureNotify& AMessage) {
  dxSetGestureConfig(AWnd, {GESTURECONFIG{0, 0, GC_ALLGESTURES}});
  AMessage.Result = 1;
}

// --- TdxGestureHelper ---------------------------------------------------------------------

// Forgets a control that is freed while a gesture refers to it.
class TdxGestureControlWatcher : public TComponent {
 public:
  TdxGestureControlWatcher(TControl*& ANotify, TControl*& ATouch)
      : TComponent(nullptr), FNotify(ANotify), FTouch(ATouch) {}
  void Watch(TControl* AControl) {
    if (AControl) AControl->FreeNotification(this);
  }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (FNotify == AComponent) FNotify = nullptr;
    if (FTouch == AComponent) FTouch = nullptr;
  }

 private:
  TControl*& FNotify;
  TControl*& FTouch;
};

TdxGestureHelper::TdxGestureHelper(IdxGestureOwner* AGestureOwner)
    : FGestureOwner(AGestureOwner),
      FControlWatcher(std::make_unique<TdxGestureControlWatcher>(FNotifyTouchControl, FTouchControl)) {
  if (FTouchHelpers) FTouchHelpers->push_back(this);
}

TdxGestureHelper::~TdxGestureHelper() {
  if (FTouchHelpers)
    FTouchHelpers->erase(std::remove(FTouchHelpers->begin(), FTouchHelpers->end(), this),
                         FTouchHelpers->end());
}

bool TdxGestureHelper::AllowGesture(TGestureID AGestureID) {
  return FGestureNotifyClient && FGestureNotifyClient->AllowGesture(AGestureID);
}

bool TdxGestureHelper::AllowPan(TScrollBarKind AScrollKind) {
  return FGestureNotifyClient && FGestureNotifyClient->AllowPan(AScrollKind);
}

HWND TdxGestureHelper::GetHandle() {
  return FGestureOwner->GetHandle();
}

TInteractiveGestureOptions TdxGestureHelper::GetPanOptions() {
  return FGestureNotifyClient ? FGestureNotifyClient->GetPanOptions() : TInteractiveGestureOptions{};
}

bool TdxGestureHelper::IsGestureTarget(HWND AWnd) {
  return FGestureOwner->IsGestureTarget(AWnd);
}

bool TdxGestureHelper::IsPanArea(const TPoint& APoint) {
  return FGestureNotifyClient && FGestureNotifyClient->IsPanArea(APoint);
}

bool TdxGestureHelper::NeedPanningFeedback(TScrollBarKind AScrollKind) {
  IdxGestureClient* client = FGestureClient ? FGestureClient : FGestureNotifyClient;
  return client && client->NeedPanningFeedback(AScrollKind);
}

TPoint TdxGestureHelper::ScreenToClient(const TPoint& APoint) {
  return FGestureOwner->ScreenToClient(APoint);
}

TPoint TdxGestureHelper::GetTouchStartPoint() {
  TPoint p = FGestureStartPoint;
  dxPhysicalToLogicalPoint(GetHandle(), p);
  return ScreenToClient(p);
}

bool TdxGestureHelper::HandleMessage(TMessage& AMessage) {
  switch (AMessage.Msg) {
    case WM_GESTURE:
      return Gesture(AMessage);
    case WM_GESTURENOTIFY:
      GestureNotify(AMessage);
      return true;
    case WM_DESTROY:
      if (FIsPanning) EndGestureScroll();
      return false;
    default:
      return false;
  }
}

void TdxGestureHelper::GestureNotify(TMessage& AMessage) {
  const TPoint p = GetTouchStartPoint();
  TRect client{};
  GetClientRect(GetHandle(), &client);
  if (p.X >= client.Left && p.X < client.Right && p.Y >= client.Top && p.Y < client.Bottom) {
    if (TWinControl* control = FindControl(GetHandle())) {
      TControl* child = control->ControlAtPos(p, true, true);
      FNotifyTouchControl = child ? child : control;
      FControlWatcher->Watch(FNotifyTouchControl);
    }
  }
  AMessage.Result = 0;
}

bool TdxGestureHelper::Gesture(TMessage& AMessage) {
  auto info = GESTUREINFO{};
  auto handle = reinterpret_cast<HGESTUREINFO>(AMessage.LParam);
  if (!FGetGestureInfo || !FGetGestureInfo(handle, &info)) {
    if (FCloseGestureInfoHandle) FCloseGestureInfoHandle(handle);
    return false;
  }
  TGestureEventInfo event;
  event.GestureID = static_cast<TGestureID>(info.dwID) + 256;
  if (info.dwFlags & GF_BEGIN) event.Flags.Include(gfBegin);
  if (info.dwFlags & GF_INERTIA) event.Flags.Include(gfInertia);
  if (info.dwFlags & GF_END) event.Flags.Include(gfEnd);

  LRESULT result = 0;
  if (event.GestureID != igiBegin && event.GestureID != igiEnd) {
    if (!FTouchControl && event.Flags.Contains(gfBegin) && FNotifyTouchControl) {
      FTouchControl = FNotifyTouchControl;
      FControlWatcher->Watch(FTouchControl);
    }
    if (TControl* target = FTouchControl) {
      const TInteractiveGesture gesture = GetInteractiveGestureByGestureID(info.dwID);
      while (target->Parent() && target->Touch() &&
             target->Touch()->InteractiveGestureOptions().Contains(igoParentPassthrough) &&
             !target->Touch()->InteractiveGestures().Contains(gesture))
        target = target->Parent();
      const TPoint location = PointFromPOINTS(info.ptsLocation);
      event.Location = target->ScreenToClient(location);
      const auto distance = static_cast<int32_t>(static_cast<uint32_t>(info.ullArguments));
      switch (info.dwID) {
        case GID_PAN:
          event.Distance = distance;
          if (event.Flags.Contains(gfInertia)) {
            const auto high = static_cast<uint32_t>(info.ullArguments >> 32);
            event.InertiaVector = {static_cast<int16_t>(high & 0xFFFF), static_cast<int16_t>(high >> 16)};
          }
          break;
        case GID_ROTATE:
          event.Angle = GID_ROTATE_ANGLE_FROM_ARGUMENT(info.ullArguments);
          break;
        case GID_PRESSANDTAP: {
          const TPoint delta = PointFromArgument(info.ullArguments);
          TPoint tap{location.X + delta.X, location.Y + delta.Y};
          dxPhysicalToLogicalPoint(GetHandle(), tap);
          event.TapLocation = target->ScreenToClient(tap);
          break;
        }
        default:
          event.Distance = distance;
          break;
      }
      result = target->Perform(CM_GESTURE, 0, reinterpret_cast<LPARAM>(&event));
      if (event.Flags.Contains(gfEnd)) FTouchControl = nullptr;
    }
  }
  AMessage.Result = result;
  if (result != 1)
    AMessage.Result = DefWindowProcW(GetHandle(), AMessage.Msg, AMessage.WParam, AMessage.LParam);
  if (FCloseGestureInfoHandle) FCloseGestureInfoHandle(handle);
  return true;
}

void TdxGestureHelper::CheckGestureOptions(TInteractiveGestures& AGestures,
                                           TInteractiveGestureOptions& AOptions) {
  const TPoint p = GetTouchStartPoint();
  FGestureNotifyClient = FGestureOwner->GetGestureClient(p);
  if (!AGestures.Contains(igPan)) return;
  if (!IsPanArea(p)) {
    AOptions.Exclude(igoPanSingleFingerHorizontal).Exclude(igoPanSingleFingerVertical);
  } else {
    if (!AllowPan(sbHorizontal)) AOptions.Exclude(igoPanSingleFingerHorizontal);
    if (!AllowPan(sbVertical)) AOptions.Exclude(igoPanSingleFingerVertical);
  }
  if (!AOptions.Contains(igoPanSingleFingerHorizontal) && !AOptions.Contains(igoPanSingleFingerVertical))
    AGestures.Exclude(igPan);
}

void TdxGestureHelper::DoGesture(const TGestureEventInfo& AEventInfo, bool& AHandled) {
  const bool begin = AEventInfo.Flags.Contains(gfBegin);
  const bool end = AEventInfo.Flags.Contains(gfEnd);
  switch (AEventInfo.GestureID) {
    case igiZoom:
      Zoom(AEventInfo.Distance, begin, end, AHandled);
      break;
    case igiPan:
      Pan(AEventInfo.Location, begin, AEventInfo.Flags.Contains(gfInertia), end);
      AHandled = true;
      break;
    case igiRotate:
      Rotate(begin, end, AEventInfo.Angle, AEventInfo.Distance, AHandled);
      break;
    default:
      break;
  }
}

void TdxGestureHelper::BeginGestureScroll(const TPoint& APos) {
  FIsPanning = true;
  FGestureClient->BeginGestureScroll(APos);
  FPanningFeedback = NeedPanningFeedback(sbHorizontal) || NeedPanningFeedback(sbVertical);
  if (FPanningFeedback) dxBeginPanningFeedback(GetHandle());
  FOverPan = {0, 0};
}

void TdxGestureHelper::EndGestureScroll() {
  FIsPanning = false;
  if (FGestureClient) FGestureClient->EndGestureScroll();
  if (FPanningFeedback) dxEndPanningFeedback(GetHandle(), true);
  FPanningFeedback = false;
}

void TdxGestureHelper::UpdatePanningFeedback() {
  dxUpdatePanningFeedback(GetHandle(), FOverPan, FIsInertia);
}

namespace {

// Takes back as much of the overpan as a delta in the opposite direction covers.
void ConsumeOverpan(int32_t& AOverPan, int32_t& ADelta) {
  if (AOverPan == 0 || ADelta == 0 || (AOverPan > 0) == (ADelta > 0)) return;
  const int32_t used = std::min(std::abs(AOverPan), std::abs(ADelta));
  AOverPan += AOverPan > 0 ? -used : used;
  ADelta += ADelta > 0 ? -used : used;
}

}  // namespace

void TdxGestureHelper::Pan(TPoint APoint, bool ABegin, bool AInertia, bool AEnd) {
  if (FNeedScalePanning) {
    const TdxScaleFactor* system = dxSystemScaleFactor();
    const TdxScaleFactor* desktop = dxDesktopScaleFactor();
    if (system && desktop) APoint = system->Apply(APoint, desktop);
  }
  FIsInertia = AInertia;
  if (ABegin) {
    FGestureClient = FGestureNotifyClient;
    if (FGestureClient) BeginGestureScroll(APoint);
  } else if (FGestureClient) {
    TPoint delta{APoint.X - FPanPoint.X, APoint.Y - FPanPoint.Y};
    if (AEnd) FOverPan = {0, 0};
    const TPoint overPan = FOverPan;
    if (NeedPanningFeedback(sbHorizontal)) ConsumeOverpan(FOverPan.X, delta.X);
    if (NeedPanningFeedback(sbVertical)) ConsumeOverpan(FOverPan.Y, delta.Y);
    if (FOverPan != overPan) UpdatePanningFeedback();
    if (delta.X != 0 || delta.Y != 0) FGestureClient->GestureScroll(delta.X, delta.Y);
    if (AEnd) {
      EndGestureScroll();
      FGestureClient = nullptr;
    }
  }
  FPanPoint = APoint;
}

void TdxGestureHelper::Zoom(int32_t ADistance, bool ABegin, bool AEnd, bool& AHandled) {
  if (ABegin) {
    FLastDistance = ADistance;
    FGestureClient = FGestureNotifyClient;
  }
  if (auto* zoom = dynamic_cast<IdxZoomClient*>(FGestureClient))
    zoom->Zoom(ADistance - FLastDistance, AHandled);
  FLastDistance = ADistance;
  if (AEnd) FGestureClient = nullptr;
}

void TdxGestureHelper::Rotate(bool ABegin, bool AEnd, double AAngle, int32_t AArgument, bool& AHandled) {
  if (ABegin) FGestureClient = FGestureNotifyClient;
  if (auto* rotate = dynamic_cast<IdxRotateClient*>(FGestureClient))
    rotate->Rotate(AHandled, AAngle, AArgument);
  if (AEnd) FGestureClient = nullptr;
}

void TdxGestureHelper::CheckOverpan(TScrollBarKind AScrollKind, int32_t ANewDataPos, int32_t AMinDataPos,
                                    int32_t AMaxDataPos, int32_t ADeltaX, int32_t ADeltaY) {
  if (!NeedPanningFeedback(AScrollKind) || (ANewDataPos > AMinDataPos && ANewDataPos < AMaxDataPos)) return;
  if (AScrollKind == sbVertical)
    FOverPan.Y += ADeltaY;
  else
    FOverPan.X += ADeltaX;
  UpdatePanningFeedback();
}

// --- Hook and unit ------------------------------------------------------------------------------

void dxTouchWndProcHook(int ACode, WPARAM AWParam, LPARAM ALParam, LRESULT& AResult) {
  if (ACode != HC_ACTION) return;
  const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(ALParam);
  if (!cwp || cwp->message != WM_GESTURENOTIFY) return;
  if (const auto* notify = reinterpret_cast<const GESTURENOTIFYSTRUCT*>(cwp->lParam))
    FGestureStartPoint = PointFromPOINTS(notify->ptsLocation);
  if (FTouchHelpers)
    for (TdxGestureHelper* helper : *FTouchHelpers) helper->FNotifyTouchControl = nullptr;
}

namespace dxTouch {

void Initialize() {
  HMODULE user32 = GetModuleHandleW(u"user32.dll");
  auto bind = [user32](auto& AProc, const char* AName) {
    AProc = user32 ? reinterpret_cast<std::remove_reference_t<decltype(AProc)>>(GetProcAddress(user32, AName))
                   : nullptr;
  };
  bind(FGetGestureInfo, "GetGestureInfo");
  bind(FCloseGestureInfoHandle, "CloseGestureInfoHandle");
  bind(FSetGestureConfig, "SetGestureConfig");
  bind(FLogicalToPhysicalPoint, "LogicalToPhysicalPoint");
  bind(FPhysicalToLogicalPoint, "PhysicalToLogicalPoint");
  FNeedScalePanning = !IsWin8OrLater() && !dxIsProcessDPIAware();
  if (!FTouchHelpers) FTouchHelpers = new std::vector<TdxGestureHelper*>;
  dxSetHook(htWndProc, &dxTouchWndProcHook);
}

void Finalize() {
  dxReleaseHook(&dxTouchWndProcHook);
  delete FTouchHelpers;
  FTouchHelpers = nullptr;
  FGetGestureInfo = nullptr;
  FCloseGestureInfoHandle = nullptr;
  FSetGestureConfig = nullptr;
  FLogicalToPhysicalPoint = nullptr;
  FPhysicalToLogicalPoint = nullptr;
}

}  // namespace dxTouch

}  // namespace qd
