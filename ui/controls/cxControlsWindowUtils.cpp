#include "ui/controls/cxControlsWindowUtils.h"

#include <algorithm>

#include "platform/base/format.h"
#include "platform/classes/classes.h"
#include "platform/forms/controls.h"
#include "platform/forms/forms.h"
#include "platform/forms/graphics.h"
#include "platform/forms/menus.h"
#include "platform/os/kernel.h"
#include "platform/os/nls.h"
#include "platform/os/user.h"
#include "ui/core/dxCore.h"
#include "ui/core/dxDWMApi.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxSystemInfo)

TcxContextPopupHookFunc cxContextPopupHookFunc = nullptr;

namespace {

bool FUnitIsFinalized = false;
TdxSystemInfo* FSystemInfo = nullptr;
TdxDesignerModifiedProc FDesignerModifiedHook = nullptr;

using TSetLayeredWindowAttributesProc = BOOL (*)(HWND, COLORREF, BYTE, DWORD);
using TUpdateLayeredWindowProc = BOOL (*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF,
                                          const BLENDFUNCTION*, DWORD);
TSetLayeredWindowAttributesProc FSetLayeredWindowAttributes = nullptr;
TUpdateLayeredWindowProc FUpdateLayeredWindow = nullptr;

bool IsLoadingWritingOrDestroying(const TComponent* AComponent) {
  const TComponentState state = AComponent->ComponentState();
  return state.Contains(csLoading) || state.Contains(csWriting) || state.Contains(csDestroying);
}

bool IsKeyDownNow(int AVirtualKey) {
  return (static_cast<uint16_t>(GetAsyncKeyState(AVirtualKey)) & 0x8000) != 0;
}

}  // namespace

// --- Window geometry ---------------------------------------------------------------------------

TPoint cxClientToScreen(HWND AWnd, const TPoint& P) {
  TPoint result = P;
  ClientToScreen(AWnd, &result);
  return result;
}

TPoint cxClientToParent(TControl* AControl, const TPoint& P, TWinControl* AParent) {
  return AControl->ClientToParent(P, AParent);
}

TPoint dxMapWindowPoint(HWND AWndFrom, HWND AWndTo, const TPoint& P, bool AClientArea) {
  if (AClientArea) {
    TPoint result = P;
    MapWindowPoints(AWndFrom, AWndTo, &result, 1);
    return result;
  }
  const TRect from = cxGetWindowRect(AWndFrom);
  const TRect to = cxGetWindowRect(AWndTo);
  return {P.X + from.Left - to.Left, P.Y + from.Top - to.Top};
}

HWND cxWindowFromPoint(const TPoint& P) {
  HWND result = WindowFromPoint(P);
  if (!result) return nullptr;
  for (;;) {
    TPoint clientPoint = P;
    ScreenToClient(result, &clientPoint);
    HWND child = ChildWindowFromPointEx(result, clientPoint, CWP_SKIPINVISIBLE);
    if (!child || child == result) return result;
    result = child;
  }
}

TRect GetMonitorWorkArea(HMONITOR AMonitor) {
  if (!AMonitor) return Screen ? Screen->WorkAreaRect() : TRect{};
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(AMonitor, &info)) return {};
  return info.rcWork;
}

TRect GetDesktopWorkArea(const TPoint& P) {
  return GetMonitorWorkArea(MonitorFromPoint(P, MONITOR_DEFAULTTONEAREST));
}

void MakeVisibleOnDesktop(TRect& R, const TPoint& P) {
  const TRect area = GetDesktopWorkArea(P);
  const int32_t width = R.Right - R.Left;
  const int32_t height = R.Bottom - R.Top;
  auto moveTo = [&](int32_t ALeft, int32_t ATop) { R = {ALeft, ATop, ALeft + width, ATop + height}; };
  if (R.Right > area.Right) moveTo(area.Right - width, R.Top);
  if (R.Bottom > area.Bottom) moveTo(R.Left, area.Bottom - height);
  if (R.Left < area.Left) moveTo(area.Left, R.Top);
  if (R.Top < area.Top) moveTo(R.Left, area.Top);
}

// --- Window state and styles ---------------------------------------------------------------------

bool IsChildEx(HWND AParentWnd, HWND AWnd) {
  return AParentWnd && (AWnd == AParentWnd || IsChild(AParentWnd, AWnd));
}

bool IsWindowEnabledEx(HWND AWnd) {
  if (!IsWindowEnabled(AWnd)) return false;
  return !IsChildClassWindow(AWnd) || IsWindowEnabledEx(GetAncestor(AWnd, GA_PARENT));
}

bool IsControlVisible(TWinControl* AControl) {
  return AControl && AControl->HandleAllocated() && IsWindowVisible(AControl->Handle());
}

bool IsMDIChild(TCustomForm* AForm) {
  return AForm && !AForm->ComponentState().Contains(csDesigning) && AForm->FormStyle() == fsMDIChild;
}

bool dxIsMDIChildWindow(HWND AWnd) {
  return IsMDIChild(dynamic_cast<TCustomForm*>(FindControl(AWnd)));
}

bool dxIsCurrentProcessWindow(HWND AWnd) {
  DWORD processId = 0;
  return AWnd && GetWindowThreadProcessId(AWnd, &processId) && processId == GetCurrentProcessId();
}

bool dxWindowHasRightToLeftLayout(HWND AWnd) {
  return (static_cast<DWORD>(GetWindowLongW(AWnd, GWL_EXSTYLE)) & WS_EX_LAYOUTRTL) != 0;
}

LONG dxSetWindowStyle(HWND AWnd, LONG AStyle, TdxSetOperation AOperation, TdxWindowStyleIndex AIndex) {
  const int index = AIndex == wsiStyle ? GWL_STYLE : GWL_EXSTYLE;
  LONG style = GetWindowLongW(AWnd, index);
  switch (AOperation) {
    case soSet:
      style = AStyle;
      break;
    case soAdd:
      style |= AStyle;
      break;
    case soSubtract:
      style &= ~AStyle;
      break;
  }
  return SetWindowLongW(AWnd, index, style);
}

WNDPROC dxSetWindowProc(HWND AWnd, WNDPROC AProc) {
  return reinterpret_cast<WNDPROC>(SetWindowLongPtrW(AWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AProc)));
}

void dxSetZOrder(HWND AWnd, HWND AWndInsertAfter, bool AActivate, UINT AFlags) {
  UINT flags = SWP_NOMOVE | SWP_NOSIZE | AFlags;
  if (!AActivate) flags |= SWP_NOACTIVATE;
  SetWindowPos(AWnd, AWndInsertAfter, 0, 0, 0, 0, flags);
}

void cxRedrawWindow(HWND AWnd, UINT AFlags) {
  RedrawWindow(AWnd, nullptr, nullptr, AFlags);
}

void cxRedrawNCRect(HWND AWnd, const TRect& R) {
  HRGN region = CreateRectRgnIndirect(&R);
  SendMessageW(AWnd, WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
  DeleteObject(region);
}

void cxRecreateControlWnd(TWinControl* AControl, bool APost) {
  if (!AControl || !AControl->HandleAllocated()) return;
  if (APost)
    PostMessageW(AControl->Handle(), CM_RECREATEWND, 0, 0);
  else
    AControl->Perform(CM_RECREATEWND, 0, 0);
}

bool CanAllocateHandle(TWinControl* AControl) {
  if (!AControl) return false;
  if (AControl->HandleAllocated()) return true;
  if (AControl->ComponentState().Contains(csDestroying)) return false;
  if (AControl->ParentWindow()) return true;
  if (TWinControl* parent = AControl->Parent()) return CanAllocateHandle(parent);
  if (!Application || !Application->Handle()) return false;
  if (auto* form = dynamic_cast<TCustomForm*>(AControl)) {
    if (!IsMDIChild(form)) return true;
    return Application->MainForm() && CanAllocateHandle(Application->MainForm());
  }
  return false;
}

TWinControl* dxFindParentControl(HWND AWnd) {
  for (HWND wnd = AWnd; wnd; wnd = GetAncestor(wnd, GA_PARENT))
    if (TWinControl* control = FindControl(wnd)) return control;
  return nullptr;
}

TWinControl* cxFindVCLControl(HWND AWnd) {
  return dxFindParentControl(AWnd);
}

TCustomForm* dxGetParentForm(HWND AWnd) {
  TWinControl* control = dxFindParentControl(AWnd);
  return control ? GetParentForm(control) : nullptr;
}

TCustomForm* dxGetScreenActiveForm() {
  if (Screen && Screen->ActiveForm()) return Screen->ActiveForm();
  return dxGetParentForm(GetActiveWindow());
}

TComponent* cxFindComponent(TComponent* AParent, TClass AClass) {
  if (!AParent) return nullptr;
  for (int i = 0; i < AParent->ComponentCount(); ++i)
    if (AParent->Components(i)->InheritsFrom(AClass)) return AParent->Components(i);
  return nullptr;
}

void dxPerformMessageByQueue(TControl* AControl, UINT AMsg) {
  if (!AControl) return;
  AControl->Perform(AMsg, 0, 0);
  for (TWinControl* parent = AControl->Parent(); parent && !dynamic_cast<TCustomForm*>(parent);
       parent = parent->Parent())
    parent->Perform(AMsg, 0, 0);
}

// --- Layered windows -----------------------------------------------------------------------------

void cxSetLayeredWindowAttributes(HWND AWnd, int32_t AAlpha) {
  if (!FSetLayeredWindowAttributes) return;
  const bool layered = (static_cast<DWORD>(GetWindowLongW(AWnd, GWL_EXSTYLE)) & WS_EX_LAYERED) != 0;
  if (AAlpha < 255) {
    if (!layered) dxSetWindowStyle(AWnd, WS_EX_LAYERED, soAdd, wsiExStyle);
    FSetLayeredWindowAttributes(AWnd, 0, static_cast<BYTE>(std::max(AAlpha, 0)), LWA_ALPHA);
  } else if (layered) {
    dxSetWindowStyle(AWnd, WS_EX_LAYERED, soSubtract, wsiExStyle);
    cxRedrawWindow(AWnd, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

bool cxIsUpdateLayeredWindowAvailable() {
  return FUpdateLayeredWindow != nullptr;
}

void cxUpdateLayeredWindow(HWND AWnd, TBitmap* ABitmap, const TSize& ASize, uint8_t AAlpha) {
  if (!FUpdateLayeredWindow || !ABitmap) return;
  SIZE size = ASize;
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, AAlpha, AC_SRC_ALPHA};
  FUpdateLayeredWindow(AWnd, nullptr, nullptr, &size, ABitmap->Canvas()->Handle(), &source, 0, &blend,
                       ULW_ALPHA);
}

void cxUpdateLayeredWindow(HWND AWnd, TBitmap* ABitmap, uint8_t AAlpha) {
  if (ABitmap) cxUpdateLayeredWindow(AWnd, ABitmap, TSize{ABitmap->Width(), ABitmap->Height()}, AAlpha);
}

// --- Mouse and keyboard state ---------------------------------------------------------------

TPoint GetMouseCursorPos() {
  TPoint result{-1, -1};
  if (!GetCursorPos(&result)) result = {-1, -1};
  return result;
}

WPARAM GetMouseKeys() {
  static constexpr struct {
    int Key;
    WPARAM Flag;
  } kKeys[] = {{VK_LBUTTON, MK_LBUTTON},
               {VK_RBUTTON, MK_RBUTTON},
               {VK_SHIFT, MK_SHIFT},
               {VK_CONTROL, MK_CONTROL},
               {VK_MBUTTON, MK_MBUTTON}};
  WPARAM result = 0;
  for (const auto& k : kKeys)
    if (IsKeyDownNow(k.Key)) result |= k.Flag;
  return result;
}

WPARAM ShiftStateToKeys(TShiftState AShift) {
  WPARAM result = 0;
  if (AShift.Contains(ssShift)) result |= MK_SHIFT;
  if (AShift.Contains(ssCtrl)) result |= MK_CONTROL;
  if (AShift.Contains(ssLeft)) result |= MK_LBUTTON;
  if (AShift.Contains(ssRight)) result |= MK_RBUTTON;
  if (AShift.Contains(ssMiddle)) result |= MK_MBUTTON;
  return result;
}

bool cxShiftStateMoveOnly(TShiftState AShift) {
  for (TShiftStateItem item : {ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble})
    if (AShift.Contains(item)) return false;
  return true;
}

bool cxShiftStateLeftOnly(TShiftState AShift, bool ACanIncludeDoubleClick) {
  if (!AShift.Contains(ssLeft)) return false;
  for (TShiftStateItem item : {ssShift, ssAlt, ssCtrl, ssRight, ssMiddle})
    if (AShift.Contains(item)) return false;
  return ACanIncludeDoubleClick || !AShift.Contains(ssDouble);
}

bool IsCtrlPressed() {
  return IsKeyDownNow(VK_CONTROL);
}

UINT GetDblClickInterval() {
  return GetDoubleClickTime();
}

HWND cxSetCapture(HWND AWnd) {
  HWND previous = GetCapture();
  if (previous != AWnd) SetCapture(AWnd);
  return previous;
}

bool IsMouseDownMessage(UINT AMsg) {
  switch (AMsg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

bool IsPointInDragDetectArea(const TPoint& ADownPos, int32_t X, int32_t Y) {
  const int32_t threshold = Mouse ? Mouse->DragThreshold() : 5;
  return std::abs(int64_t{X} - ADownPos.X) < threshold && std::abs(int64_t{Y} - ADownPos.Y) < threshold;
}

bool IsSysKey(WORD AKey) {
  static constexpr struct {
    WORD First, Last;
  } kRanges[] = {{0x03, 0x03}, {0x09, 0x09}, {0x0C, 0x0D}, {0x10, 0x14}, {0x1B, 0x1B},
                 {0x21, 0x2F}, {0x5B, 0x91}, {0xA0, 0xA5}, {0xE5, 0xE5}, {0xF6, 0xFE}};
  for (const auto& r : kRanges)
    if (AKey >= r.First && AKey <= r.Last) return true;
  return false;
}

bool IsNumericChar(Char C, TcxNumberType ANumberType) {
  if (C == u'-' || C == u'+' || (dxGetWideCharCType1(C) & C1_DIGIT) != 0) return true;
  if (ANumberType != ntInteger && C == FormatSettings().DecimalSeparator) return true;
  return ANumberType == ntExponent && (C == u'e' || C == u'E');
}

bool IsTextChar(Char C) {
  return (dxGetWideCharCType1(C) & C1_CNTRL) == 0;
}

WORD TranslateKey(WORD AKey) {
  return AKey;
}

// --- Popup menus ---------------------------------------------------------------------------------

bool IsPopupMenu(TComponent* AComponent) {
  return dynamic_cast<TPopupMenu*>(AComponent) || dynamic_cast<IcxPopupMenu*>(AComponent);
}

bool IsPopupMenuShortCut(TComponent* AMenu, TMessage& AMessage) {
  if (auto* menu = dynamic_cast<IcxPopupMenu*>(AMenu)) return menu->IsShortCutKey(AMessage);
  if (auto* menu = dynamic_cast<TPopupMenu*>(AMenu))
    return menu->Items() && menu->Items()->Count() > 0 && menu->IsShortCut(AMessage);
  return false;
}

bool ShowPopupMenu(TWinControl* AControl, TComponent* AMenu, int32_t X, int32_t Y) {
  if (auto* menu = dynamic_cast<IcxPopupMenu*>(AMenu)) {
    menu->Popup(X, Y);
    return true;
  }
  if (auto* menu = dynamic_cast<TPopupMenu*>(AMenu); menu && menu->AutoPopup()) {
    menu->SetPopupComponent(AControl);
    menu->Popup(X, Y);
    return true;
  }
  return false;
}

// --- Designer and platform ---------------------------------------------------------------------

void SetDesignerModified(TComponent* AComponent) {
  if (!AComponent || !AComponent->ComponentState().Contains(csDesigning)) return;
  if (IsLoadingWritingOrDestroying(AComponent)) return;
  if (auto* control = dynamic_cast<TControl*>(AComponent))
    for (TWinControl* parent = control->Parent(); parent; parent = parent->Parent())
      if (IsLoadingWritingOrDestroying(parent)) return;
  if (FDesignerModifiedHook) FDesignerModifiedHook(AComponent);
}

void dxSetDesignerModifiedHook(TdxDesignerModifiedProc AProc) {
  FDesignerModifiedHook = AProc;
}

bool cxIsDrawToMemory(const TMessage& AEraseMessage) {
  return static_cast<LPARAM>(AEraseMessage.WParam) == AEraseMessage.LParam;
}

void dxForceProcessBufferedPaintMessages(TWinControl* AControl) {
  if (!AControl || !AControl->HandleAllocated() || AControl->ComponentState().Contains(csDestroying)) return;
  if (!AControl->ControlState().Contains(csGlassPaint) || !IsCompositionEnabled()) return;
  MSG message;
  while (PeekMessageW(&message, AControl->Handle(), WM_DXDEFERREDPRINTCLIENT, WM_DXDEFERREDPRINTCLIENT,
                      PM_REMOVE))
    DispatchMessageW(&message);
}

// --- TdxSystemInfo ---------------------------------------------------------------------------

TdxSystemInfo::TdxSystemInfo() {
  UpdateCache(SPI_SETDROPSHADOW);
  UpdateCache(SPI_SETNONCLIENTMETRICS);
}

bool TdxSystemInfo::GetParameter(uint32_t AParameter, void* AValue, size_t AValueSize) {
  UINT uiParam = 0;
  switch (AParameter) {
    case SPI_GETICONTITLELOGFONT:
      uiParam = sizeof(LOGFONTW);
      break;
    case SPI_GETNONCLIENTMETRICS:
      if (AValueSize >= sizeof(UINT)) *static_cast<UINT*>(AValue) = sizeof(NONCLIENTMETRICSW);
      break;
    case SPI_GETANIMATION:
      uiParam = sizeof(ANIMATIONINFO);
      if (AValueSize >= sizeof(UINT)) *static_cast<UINT*>(AValue) = sizeof(ANIMATIONINFO);
      break;
    default:
      break;
  }
  return SystemParametersInfoW(AParameter, uiParam, AValue, 0) != FALSE;
}

bool TdxSystemInfo::IsRemoteSession() const {
  return GetSystemMetrics(SM_REMOTESESSION) == 1;
}

void TdxSystemInfo::AddListener(IdxSystemInfoListener* AListener) {
  if (AListener) FListeners.push_back(AListener);
}

void TdxSystemInfo::RemoveListener(IdxSystemInfoListener* AListener) {
  if (auto it = std::find(FListeners.begin(), FListeners.end(), AListener); it != FListeners.end())
    FListeners.erase(it);
}

void TdxSystemInfo::UpdateCache(UINT AParameter) {
  switch (AParameter) {
    case SPI_SETDROPSHADOW: {
      BOOL value = FALSE;
      if (GetParameter(SPI_GETDROPSHADOW, value)) FIsDropShadow = value != FALSE;
      break;
    }
    case SPI_SETNONCLIENTMETRICS:
      GetParameter(SPI_GETNONCLIENTMETRICS, FNonClientMetrics);
      break;
    default:
      break;
  }
}

void TdxSystemInfo::WndProc(TMessage& AMessage) {
  if (AMessage.Msg != WM_SETTINGCHANGE || AMessage.WParam == 0) {
    TcxMessageWindow::WndProc(AMessage);
    return;
  }
  const UINT parameter = static_cast<UINT>(AMessage.WParam);
  UpdateCache(parameter);
  // A listener may remove itself (or another one) while it is told.
  const std::vector<IdxSystemInfoListener*> listeners = FListeners;
  for (IdxSystemInfoListener* listener : listeners)
    if (std::find(FListeners.begin(), FListeners.end(), listener) != FListeners.end())
      listener->Changed(parameter);
  AMessage.Result = 0;
}

TdxSystemInfo* dxSystemInfo() {
  if (!FSystemInfo && !FUnitIsFinalized) FSystemInfo = new TdxSystemInfo;
  return FSystemInfo;
}

// --- Unit ------------------------------------------------------------------------------------------

namespace cxControlsWindowUtils {

bool UnitIsFinalized() {
  return FUnitIsFinalized;
}

void Initialize() {
  FUnitIsFinalized = false;
  HMODULE user32 = GetModuleHandleW(u"user32.dll");
  FSetLayeredWindowAttributes =
      reinterpret_cast<TSetLayeredWindowAttributesProc>(GetProcAddress(user32, "SetLayeredWindowAttributes"));
  FUpdateLayeredWindow =
      reinterpret_cast<TUpdateLayeredWindowProc>(GetProcAddress(user32, "UpdateLayeredWindow"));
}

void Finalize() {
  FUnitIsFinalized = true;
  const bool trackingLeft = cxControlsWindowUtilsDetail::EndAllMouseTracking();
  delete FSystemInfo;
  FSystemInfo = nullptr;
  FSetLayeredWindowAttributes = nullptr;
  FUpdateLayeredWindow = nullptr;
  // Tracking left running is a fault of its caller; the timers are gone either way, and only
  // a debug build stops the shut-down to say so.
#ifndef NDEBUG
  if (trackingLeft) throw EdxException(u"MouseTrackingTimerList.Count <> 0");
#else
  (void)trackingLeft;
#endif
}

}  // namespace cxControlsWindowUtils

}  // namespace qd
