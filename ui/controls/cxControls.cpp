#include "ui/controls/cxControls.h"
#include "ui/controls/cxControlHelper.h"
#include "ui/controls/cxControlScrollBars.h"
#include "ui/controls/cxTouchScrollUI.h"

#include "ui/controls/cxControlsDragAndDrop.h"

#include <algorithm>
#include <cstdlib>

#include "platform/forms/forms.h"
#include "platform/forms/menus.h"
#include "platform/os/user.h"
#include "ui/core/cxClassesComponents.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxCore.h"
#include "ui/core/dxDWMApi.h"
#include "ui/core/dxThemeManager.h"
#include "ui/graphics/cxGraphicsPrint.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxCustomControl)
QD_IMPLEMENT_CLASS(TcxControl)

namespace {

// Holds a weak link to a control for the length of a message; Alive() turns False as soon as
// the control is destroyed.
class TcxControlAliveGuard {
 public:
  explicit TcxControlAliveGuard(TObject* AObject) : FLink(cxAddObjectLink(AObject)) {}
  ~TcxControlAliveGuard() { cxRemoveObjectLink(FLink); }
  TcxControlAliveGuard(const TcxControlAliveGuard&) = delete;
  TcxControlAliveGuard& operator=(const TcxControlAliveGuard&) = delete;
  bool Alive() const { return FLink && FLink->Ref != nullptr; }

 private:
  TcxObjectLink* FLink;
};

constexpr int32_t cxControlMaxWheelDelta = WHEEL_DELTA;
// Controls larger than this cannot carry their mouse positions in the 16-bit halves of lParam.
constexpr int32_t cxControlMaxMessageCoordinate = 32768;

TMouseButton cxControlButtonOfMessage(UINT AMsg) {
  switch (AMsg) {
    case WM_RBUTTONDOWN:
      return mbRight;
    case WM_MBUTTONDOWN:
      return mbMiddle;
    default:
      return mbLeft;
  }
}

}  // namespace

// --- TcxCustomControl ------------------------------------------------------------------------------

TcxCustomControl::TcxCustomControl(TComponent* AOwner)
    : TCustomControl(AOwner), FScaleFactor(std::make_unique<TdxScaleFactor>()) {}

TcxCustomControl::~TcxCustomControl() {
  cxClearObjectLinks(this);
}

void TcxCustomControl::BeginScaleChange() {
  if (FScaleChangeCounter++ == 0) ScaleFactorChanging();
}

void TcxCustomControl::EndScaleChange() {
  if (FScaleChangeCounter == 0) return;
  if (--FScaleChangeCounter == 0) ScaleFactorChanged();
}

void TcxCustomControl::ChangeScale(int M, int D, bool isDpiChange) {
  BeginScaleChange();
  try {
    ChangeScaleEx(M, D, isDpiChange);
  } catch (...) {
    EndScaleChange();
    throw;
  }
  EndScaleChange();
}

void TcxCustomControl::ChangeScaleEx(int M, int D, bool isDpiChange) {
  FScaleFactor->Change(M, D);
  TCustomControl::ChangeScale(M, D, isDpiChange);
}

void TcxCustomControl::ScaleControlsForDpi(int NewPPI) {
  DisableAlign();
  BeginScaleChange();
  try {
    inherited::ScaleControlsForDpi(NewPPI);
  } catch (...) {
    EndScaleChange();
    EnableAlign();
    throw;
  }
  EndScaleChange();
  EnableAlign();
}

void TcxCustomControl::SetParent(TWinControl* AParent) {
  if (!TcxControlHelper::CanSetParent(this, AParent)) return;
  TCustomControl::SetParent(AParent);
  TcxControlHelper::UpdateScaleFactorOnParentChange(this);
}

void TcxCustomControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case DXM_SCALECHANGING:
      BeginScaleChange();
      return;
    case DXM_SCALECHANGED:
      EndScaleChange();
      return;
    default:
      inherited::Dispatch(Message);
  }
}

// --- TcxControl: life cycle ---------------------------------------------------------------------

TcxControl::TcxControl(TComponent* AOwner) : TcxCustomControl(AOwner) {
  FCanvas = std::make_unique<TcxControlCanvas>(TCustomControl::Canvas());
  FLookAndFeel = std::make_unique<TcxLookAndFeel>(this);
  FLookAndFeel->SetOnChanged(TcxLookAndFeelChangedEvent(this, &TcxControl::LookAndFeelChangeHandler));
  // A descendant that allows the touch scroll UI takes its mode when its window is created
  // (its own answer is not heard from this constructor).
  FScrollbarMode = AllowTouchScrollUIMode() ? GetLookAndFeelScrollbarMode() : sbmClassic;
  FScrollBars = ssBoth;
  FScrollBarsManager = std::make_unique<TcxControlScrollBarsManager>(this);
  FScrollUIActivityHelper = std::make_unique<TdxTouchScrollUIActivityHelper>();
  FHybridScrollbarsManager = std::make_unique<TdxHybridScrollbarsManager>(this);
  // The main scroll bars are made when the window is created: only then does a descendant
  // answer NeedsScrollBars and IsPopupScrollBars itself.
  SetTabStop(MayFocus());
  CreateGestureHelper();
}

TcxControl::~TcxControl() {
  FScrollBarsChecked = true;
  EndDrag(false);
  // The touch manager must not keep calling a freed owner.
  TdxTouchScrollUIModeManager::Deactivate(this);
  FGestureHelper.reset();
  FGestureOwner.reset();
  DestroyScrollBars();
  FHybridScrollbarsManager.reset();
  FScrollUIActivityHelper.reset();
  FScrollBarsManager.reset();
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FFontListenerList.clear();
  FActiveCanvas.reset();
  FCanvas.reset();
  FLookAndFeel.reset();
}

TcxCanvas* TcxControl::ActiveCanvas() {
  if (HandleAllocated()) {
    FActiveCanvas.reset();
    return FCanvas.get();
  }
  if (!FActiveCanvas) FActiveCanvas = std::make_unique<TcxScreenCanvas>();
  return FActiveCanvas.get();
}

void TcxControl::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
}

void TcxControl::CreateWnd() {
  // Set here rather than in the constructor, where the control's class does not answer yet.
  if (HasDragImages()) SetControlStyle(ControlStyle() + TControlStyle{csDisplayDragImage});
  FCreatingWindow = true;
  try {
    CheckTouchScrollUIMode();
    inherited::CreateWnd();
    CheckNeedsScrollBars();
    InitControl();
    UpdateScrollBars();
  } catch (...) {
    FCreatingWindow = false;
    throw;
  }
  FCreatingWindow = false;
}

void TcxControl::DestroyWindowHandle() {
  if (!IsDestroying() && NeedsScrollBars() && MainBars()) FMainScrollBars->UnInitScrollBars();
  inherited::DestroyWindowHandle();
  controlState_.Exclude(csClicked);
}

void TcxControl::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

// --- Properties --------------------------------------------------------------------------------------

void TcxControl::SetBorderStyle(TcxControlBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  BorderStyleChanged();
}

void TcxControl::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  TransparentChanged();
}

void TcxControl::TransparentChanged() {
  TControlStyle style = ControlStyle();
  style.Exclude(csOpaque);
  style.Exclude(csParentBackground);
  style.Include(FTransparent ? csParentBackground : csOpaque);
  SetControlStyle(style);
  Invalidate();
}

void TcxControl::SetPopupMenu(TComponent* Value) {
  if (!IsPopupMenu(Value)) Value = nullptr;
  if (FPopupMenu == Value) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (FPopupMenu) FPopupMenu->FreeNotification(this);
}

TPopupMenu* TcxControl::GetPopupMenu() {
  return dynamic_cast<TPopupMenu*>(FPopupMenu);
}

void TcxControl::SetMouseCaptureObject(TObject* Value) {
  if (FMouseCaptureObject == Value) return;
  const bool hadCapture = MouseCapture();
  FMouseCaptureObject = Value;
  SetMouseCapture(FMouseCaptureObject != nullptr);
  if (hadCapture && !MouseCapture() && FDragAndDropState == ddsStarting &&
      CanCancelDragStartOnCaptureObjectClear())
    Perform(WM_CANCELMODE, 0, 0);
}

void TcxControl::SetHint(const String& Value) {
  TControl::SetHint(Value);
  FOriginalHint = Value;
}

void TcxControl::UpdateStatusHint(const TPoint& P) {
  TControl::SetHint(GetStatusHint(P));
}

void TcxControl::AddFontListener(IcxFontListener* AListener) {
  if (AListener &&
      std::find(FFontListenerList.begin(), FFontListenerList.end(), AListener) == FFontListenerList.end())
    FFontListenerList.push_back(AListener);
}

void TcxControl::RemoveFontListener(IcxFontListener* AListener) {
  std::erase(FFontListenerList, AListener);
}

// --- Look and feel, bounds ---------------------------------------------------------------------------

TcxCustomLookAndFeelPainter* TcxControl::GetLookAndFeelPainter() {
  return FLookAndFeel->Painter();
}

void TcxControl::LookAndFeelChangeHandler(TcxLookAndFeel*, TcxLookAndFeelValues) {
  if (IsDestroying() || (Application && Application->ComponentState().Contains(csDestroying))) return;
  LookAndFeelChanged();
}

void TcxControl::ScaleFactorChanged() {
  inherited::ScaleFactorChanged();
  FLookAndFeel->Refresh();
}

bool TcxControl::IsDoubleBufferedNeeded() {
  return DoubleBuffered() || IsWinSevenOrLater();
}

bool TcxControl::IsTransparentBackground() {
  return AreVisualStylesAvailable() && Parent() != nullptr && ControlStyle().Contains(csParentBackground);
}

TcxMouseWheelScrollingKind TcxControl::GetMouseWheelScrollingKind() {
  return IsVScrollBarActive() ? mwskVertical : mwskNone;
}

TCursor TcxControl::GetCurrentCursor(int32_t X, int32_t Y) {
  if (IsScrollBarsArea(TPoint{X, Y})) return crArrow;
  if (IsDesigning()) return crDefault;
  return Cursor();
}

bool TcxControl::GetSystemSizeScrollBars(bool& AHorizontal, bool& AVertical) {
  AHorizontal = true;
  AVertical = true;
  return true;
}

int32_t TcxControl::GetBorderSize() {
  if (FBorderStyle != cxcbsDefault) return 0;
  TcxCustomLookAndFeelPainter* painter = LookAndFeelPainter();
  return painter ? painter->BorderSize() : 0;
}

TRect TcxControl::GetBounds() {
  if (!FBounds.IsEmpty()) return FBounds;
  if (HandleAllocated()) return ClientRect();
  return TRect{0, 0, Width(), Height()};
}

TRect TcxControl::GetClientBounds() {
  TRect r = cxRectInflate(GetBounds(), -GetBorderSize());
  if (!IsPopupScrollBars()) {
    if (IsHScrollBarActive()) r.Bottom -= GetHScrollBarAreaHeight();
    if (IsVScrollBarActive()) {
      if (UseRightToLeftScrollBar())
        r.Left += GetVScrollBarAreaWidth();
      else
        r.Right -= GetVScrollBarAreaWidth();
    }
  }
  return r;
}

void TcxControl::BoundsChanged() {
  UpdateScrollBars();
  if (NeedRedrawOnResize()) Invalidate();
}

void TcxControl::Resize() {
  inherited::Resize();
  BoundsChanged();
}

void TcxControl::FocusChanged() {
  if (OnFocusChanged) OnFocusChanged(this);
}

void TcxControl::FontChanged() {
  // A listener may leave the list while it is told.
  const std::vector<IcxFontListener*> listeners = FFontListenerList;
  for (IcxFontListener* listener : listeners)
    if (std::find(FFontListenerList.begin(), FFontListenerList.end(), listener) != FFontListenerList.end())
      listener->Changed(this, Font());
  Invalidate();
}

void TcxControl::SetParentBackground(bool Value) {
  const bool changed = ParentBackground() != Value;
  inherited::SetParentBackground(Value);
  if (changed) ParentBackgroundChanged();
}

void TcxControl::SystemInfoChanged(UINT) {
  if (HandleAllocated()) SendNotifyMessageW(Handle(), CM_NCSIZECHANGED, 0, 0);
}

// --- Invalidation ------------------------------------------------------------------------------------

void TcxControl::InvalidateRect(const TRect& R, bool EraseBackground) {
  if (HandleAllocated()) ::qd::InvalidateRect(Handle(), &R, EraseBackground ? TRUE : FALSE);
}

void TcxControl::InvalidateRgn(TcxRegion* ARegion, bool EraseBackground) {
  if (HandleAllocated() && ARegion && !ARegion->IsEmpty())
    ::qd::InvalidateRgn(Handle(), ARegion->Handle(), EraseBackground ? TRUE : FALSE);
}

void TcxControl::InvalidateWithChildren() {
  if (HandleAllocated())
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_NOERASE);
}

void TcxControl::UpdateWithChildren() {
  if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TcxControl::ScrollWindow(int32_t DX, int32_t DY, const TRect& AScrollRect) {
  HideDragImage();
  struct TShowAgain {
    TcxControl* Control;
    ~TShowAgain() { Control->ShowDragImage(); }
  } showAgain{this};
  ScrollWindowEx(Handle(), DX, DY, &AScrollRect, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
}

void InvalidateControl(TWinControl* AControl, bool AInvalidateSelf, bool AInvalidateChildren) {
  if (TWinControl* parent = AControl->Parent()) parent->Perform(CM_INVALIDATE, 1, 0);
  if (AInvalidateSelf)
    ::qd::InvalidateRect(AControl->Handle(), nullptr,
                         AControl->ControlStyle().Contains(csOpaque) ? FALSE : TRUE);
  // Children follow only the control's own invalidation: a child's notice (the control not
  // invalidated itself) would otherwise invalidate that child again, which notifies again.
  if (!AInvalidateSelf || !AInvalidateChildren) return;
  for (int i = 0; i < AControl->ControlCount(); ++i) {
    TControl* child = AControl->Controls(i);
    bool invalidate;
    if (auto* transparent = dynamic_cast<IcxTransparentControl*>(child))
      invalidate = transparent->IsTransparentRegionsPresent();
    else
      invalidate = child->IsWindowed() && (!child->ControlStyle().Contains(csOpaque) ||
                                           child->ControlStyle().Contains(csParentBackground));
    if (invalidate) child->Invalidate();
  }
}

// --- Focus and mouse ---------------------------------------------------------------------------------

void TcxControl::SetFocus() {
  inherited::SetFocus();
  FActivateType = atOther;
}

bool TcxControl::CanFocusEx() {
  if (!CanFocus()) return false;
  TCustomForm* form = GetParentForm(this);
  return !form || (form->CanFocus() && form->Enabled() && form->Visible());
}

bool TcxControl::CanFocusOnClick() {
  return !IsDesigning() && FFocusOnClick && MayFocus() && CanFocus() && HandleAllocated() &&
         IsWindowVisible(Handle());
}

bool TcxControl::AcceptMousePosForClick(int32_t X, int32_t Y) {
  return DragMode() == dmManual || IsMouseInPressedArea(X, Y);
}

bool TcxControl::IsMouseInPressedArea(int32_t X, int32_t Y) {
  return IsPointInDragDetectArea(FMouseDownPos, X, Y);
}

TPoint TcxControl::GetMouseCursorClientPos() {
  return ScreenToClient(GetMouseCursorPos());
}

void TcxControl::PostMouseMove() {
  PostMouseMove(GetMouseCursorClientPos());
}

void TcxControl::PostMouseMove(const TPoint& P) {
  if (HandleAllocated() && GetCapture() == nullptr)
    PostMessageW(Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(P.X, P.Y));
}

bool TcxControl::IsTooLargeForMessageCoordinates() {
  return HandleAllocated() &&
         (Width() > cxControlMaxMessageCoordinate || Height() > cxControlMaxMessageCoordinate);
}

TPoint TcxControl::GetMousePos(const TMessage& Message) {
  if (IsTooLargeForMessageCoordinates()) return GetMouseCursorClientPos();
  return TPoint{static_cast<int16_t>(Message.LParamLo()), static_cast<int16_t>(Message.LParamHi())};
}

void TcxControl::CorrectMousePos(int& X, int& Y) {
  if (!IsTooLargeForMessageCoordinates()) return;
  const TPoint p = GetMouseCursorClientPos();
  X = p.X;
  Y = p.Y;
}

void TcxControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  CorrectMousePos(X, Y);
  FMouseDownPos = TPoint{X, Y};
  TcxControlAliveGuard guard(this);
  if (CanFocusOnClick(X, Y) && !Shift.Contains(ssDouble)) {
    const TRect prevBounds = BoundsRect();
    FActivateType = atByMouse;
    SetFocusOnMouseClick(Button, X, Y);
    if (!guard.Alive()) return;
    if (TCustomForm* form = GetParentForm(this);
        form && form->ActiveControl() == this && GetFocus() != Handle())
      ::qd::SetFocus(Handle());
    if (!IsFocused() && !AllowDragAndDropWithoutFocus()) {
      ReleaseCapture();
      return;
    }
    if (UpdateMousePositionIfControlMoved()) {
      X -= Left() - prevBounds.Left;
      Y -= Top() - prevBounds.Top;
    }
  }
  if (!FFinishingDragAndDrop) {
    if (Button == mbLeft && !Shift.Contains(ssDouble) && StartDragAndDrop(TPoint{X, Y})) {
      if (DragAndDropObject()->ImmediateStart())
        BeginDragAndDrop();
      else
        SetDragAndDropState(ddsStarting);
    } else
      FinishDragAndDrop(false);
    if (!guard.Alive()) return;
  }
  BeforeMouseDown(Button, Shift, X, Y);
  if (!guard.Alive()) return;
  inherited::MouseDown(Button, Shift, X, Y);
  if (guard.Alive() && MouseCapture()) FMouseButtonPressed = true;
}

void TcxControl::MouseMove(TShiftState Shift, int X, int Y) {
  CorrectMousePos(X, Y);
  TcxControlAliveGuard guard(this);
  inherited::MouseMove(Shift, X, Y);
  if (!guard.Alive()) return;
  if (FDragAndDropState == ddsStarting && !IsMouseInPressedArea(X, Y)) BeginDragAndDrop();
  if (FDragAndDropState == ddsInProcess) {
    bool accepted = false;
    DragAndDrop(TPoint{X, Y}, accepted);
    if (!guard.Alive()) return;
  }
  UpdateStatusHint(TPoint{X, Y});
}

void TcxControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  CorrectMousePos(X, Y);
  FMouseButtonPressed = false;
  CancelMouseOperations();
  inherited::MouseUp(Button, Shift, X, Y);
}

void TcxControl::CancelMouseOperations() {
  FinishDragAndDrop(true);
  SetMouseCaptureObject(nullptr);
}

void TcxControl::DoCancelMode() {
  FMouseButtonPressed = false;
  SetMouseCaptureObject(nullptr);
}

void TcxControl::AfterMouseDown(TMouseButton Button, int32_t X, int32_t Y) {
  if (Button == mbLeft) {
    // Automatic dragging: the platform's drag once the mouse leaves the drag area.
    if (DragMode() == dmAutomatic && MouseCapture() &&
        (!IsDesigning() || AllowAutoDragAndDropAtDesignTime(X, Y)) && CanDrag(X, Y) &&
        cxDragDetect(Handle(), ClientToScreen(TPoint{X, Y})) == ddDrag)
      BeginDrag(true, -1);
  } else if (Button == mbMiddle) {
    DoScrolling();
  }
}

bool TcxControl::GetDesignHitTest(int32_t X, int32_t Y, TShiftState) {
  return FDragAndDropState != ddsNone || FMouseButtonPressed || IsScrollBarsArea(TPoint{X, Y});
}

void TcxControl::DoMouseEnter(TControl* AControl) {
  if (AControl != nullptr && AControl != this) return;
  if (FMouseEnterCounter != 0) return;
  FMouseEnterCounter = 1;
  if (OnMouseEnter) OnMouseEnter(this);
}

void TcxControl::DoMouseLeave(TControl* AControl) {
  if (AControl != nullptr && AControl != this) return;
  if (FMouseEnterCounter != 1) return;
  FMouseEnterCounter = 0;
  if (OnMouseLeave) OnMouseLeave(this);
}

bool TcxControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (inherited::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  if (!IsMouseWheelHandleNeeded()) return false;
  const int32_t delta = std::clamp(WheelDelta, -cxControlMaxWheelDelta, cxControlMaxWheelDelta);
  if (static_cast<int64_t>(delta) * FMouseWheelAccumulator <= 0)
    FMouseWheelAccumulator = delta;
  else
    FMouseWheelAccumulator += delta;
  if (std::abs(FMouseWheelAccumulator) >= WHEEL_DELTA) {
    const int32_t accumulated = FMouseWheelAccumulator;
    FMouseWheelAccumulator = 0;
    InternalMouseWheel(Shift, accumulated, MousePos);
  }
  return true;
}

bool TcxControl::InternalMouseWheel(TShiftState, int32_t WheelDelta, const TPoint&) {
  const TcxMouseWheelScrollingKind kind = GetMouseWheelScrollingKind();
  if (kind == mwskNone) return false;
  const int32_t lines = Mouse ? Mouse->WheelScrollLines() : 3;
  if (lines == -1) {
    int32_t pos = 0;
    Scroll(sbVertical, WheelDelta > 0 ? scPageUp : scPageDown, pos);
    return true;
  }
  TcxDirection direction;
  if (kind == mwskVertical)
    direction = WheelDelta > 0 ? dirUp : dirDown;
  else
    direction = WheelDelta > 0 ? dirLeft : dirRight;
  for (int32_t i = 0; i < lines; ++i) ScrollContent(direction);
  return true;
}

// --- Context menu and keys ---------------------------------------------------------------------------

void TcxControl::DoContextPopup(TPoint MousePos, bool& Handled) {
  inherited::DoContextPopup(MousePos, Handled);
  if (Handled) return;
  TPoint p = (MousePos.X == -1 && MousePos.Y == -1) ? TPoint{0, 0} : MousePos;
  p = ClientToScreen(p);
  Handled = (cxContextPopupHookFunc && cxContextPopupHookFunc(this, FPopupMenu, MousePos)) ||
            DoShowPopupMenu(FPopupMenu, p.X, p.Y);
}

bool TcxControl::DoShowPopupMenu(TComponent* AMenu, int32_t X, int32_t Y) {
  return ShowPopupMenu(this, AMenu, X, Y);
}

bool TcxControl::IsMenuKey(TMessage& Message) {
  if (IsDesigning()) return false;
  for (TControl* c = this; c; c = c->Parent())
    if (auto* control = dynamic_cast<TcxControl*>(c);
        control && IsPopupMenuShortCut(control->PopupMenu(), Message))
      return true;
  return false;
}

// --- Messages -------------------------------------------------------------------------------------------

void TcxControl::WndProc(TMessage& Message) {
  // Gestures and windowless scroll bars take their messages first.
  if (CanProcessScrollEvents() &&
      (IsGestureHelperMessage(Message) || (FScrollBarsManager && FScrollBarsManager->HandleMessage(Message))))
    return;
  if (FScrollbarMode != sbmClassic && FScrollUIActivityHelper &&
      FScrollUIActivityHelper->CheckScrollActivity(this, Message))
    ShowTouchScrollUI(GetTouchScrollUIOwner(GetMousePos(Message)), true);
  TcxControlAliveGuard guard(this);
  bool dispatched = false;
  if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && !Dragging()) {
    const TPoint p = GetMousePos(Message);
    bool direct;
    if (IsDesigning())
      direct = GetDesignHitTest(p.X, p.Y, {ssLeft});
    else
      direct = DragMode() == dmAutomatic;
    // A click on a graphic child goes the platform's way.
    if (direct && ControlAtPos(p, false) == nullptr) {
      // Straight to the handlers, so that the platform's automatic dragging does not start.
      controlState_.Include(csLButtonDown);
      Dispatch(Message);
      if (guard.Alive()) controlState_.Exclude(csLButtonDown);
      dispatched = true;
    }
  }
  if (!dispatched) {
    if (Message.Msg == WM_RBUTTONUP) FMouseRightButtonReleased = true;
    inherited::WndProc(Message);
  }
  if (!guard.Alive() || IsDestroying()) return;
  switch (Message.Msg) {
    case WM_SETFOCUS:
      FocusEnter();
      FocusChanged();
      break;
    case WM_KILLFOCUS:
      FocusLeave();
      FocusChanged();
      break;
    case WM_RBUTTONUP:
      FMouseRightButtonReleased = false;
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      const TPoint p = GetMousePos(Message);
      AfterMouseDown(cxControlButtonOfMessage(Message.Msg), p.X, p.Y);
      break;
    }
    default:
      break;
  }
}

void TcxControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      WMPaint(Message);
      return;
    case WM_PRINTCLIENT:
      WMPrintClient(Message);
      return;
    case WM_ERASEBKGND:
      WMEraseBkgnd(Message);
      return;
    case WM_NCPAINT:
      WMNCPaint(Message);
      return;
    case WM_PRINT:
      WMPrint(Message);
      return;
    case WM_NCCALCSIZE:
      inherited::Dispatch(Message);
      if (HandleAllocated()) PostMessageW(Handle(), CM_NCSIZECHANGED, 0, 0);
      return;
    case WM_GETDLGCODE:
      WMGetDlgCode(Message);
      return;
    case WM_SETCURSOR:
      WMSetCursor(Message);
      return;
    case WM_CONTEXTMENU:
      WMContextMenu(Message);
      return;
    case WM_CANCELMODE:
      WMCancelMode(Message);
      return;
    case WM_WINDOWPOSCHANGED:
      WMWindowPosChanged(Message);
      return;
    case CM_INVALIDATE:
      CMInvalidate(Message);
      return;
    case CM_NCSIZECHANGED:
      CMNCSizeChanged(Message);
      return;
    case CM_BIDIMODECHANGED:
      CMBiDiModeChanged(Message);
      return;
    case CM_DESIGNHITTEST:
      CMDesignHitTest(Message);
      return;
    case CM_COLORCHANGED:
      ColorChanged();
      inherited::Dispatch(Message);
      return;
    case CM_CURSORCHANGED:
      CursorChanged();
      inherited::Dispatch(Message);
      return;
    case CM_ENABLEDCHANGED:
      inherited::Dispatch(Message);
      EnabledChanged();
      return;
    case CM_FONTCHANGED:
      inherited::Dispatch(Message);
      FontChanged();
      return;
    case CM_TEXTCHANGED:
      inherited::Dispatch(Message);
      TextChanged();
      return;
    case CM_VISIBLECHANGED:
      inherited::Dispatch(Message);
      VisibleChanged();
      return;
    case CM_GESTURE:
      if (Message.LParam != 0) {
        bool handled = false;
        DoGesture(*reinterpret_cast<const TGestureEventInfo*>(Message.LParam), handled);
        Message.Result = handled ? 1 : 0;
      }
      return;
    case CM_MOUSEENTER:
      inherited::Dispatch(Message);
      MouseEnter(Message.LParam ? reinterpret_cast<TControl*>(Message.LParam) : this);
      return;
    case CM_MOUSELEAVE:
      inherited::Dispatch(Message);
      MouseLeave(Message.LParam ? reinterpret_cast<TControl*>(Message.LParam) : this);
      return;
    case CN_KEYDOWN:
      CNKeyDown(Message);
      return;
    case CN_SYSKEYDOWN:
      if (IsMenuKey(Message))
        Message.Result = 1;
      else
        inherited::Dispatch(Message);
      return;
    case CN_KEYUP:
      CNKeyUp(Message);
      return;
    default:
      inherited::Dispatch(Message);
  }
}

void TcxControl::DefaultHandler(TMessage& Message) {
  if ((Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN) && Application && Application->Handle()) {
    const LRESULT answer =
        SendMessageW(Application->Handle(), DXM_APPLICATIONKEYDOWN, Message.WParam, Message.LParam);
    if (answer != 0) {
      Message.Result = answer;
      return;
    }
  }
  inherited::DefaultHandler(Message);
}

void TcxControl::WMGetDlgCode(TMessage& Message) {
  LRESULT code = 0;
  if (FKeys.Contains(kAll)) code += DLGC_WANTALLKEYS;
  if (FKeys.Contains(kArrows)) code += DLGC_WANTARROWS;
  if (FKeys.Contains(kChars)) code += DLGC_WANTCHARS;
  if (FKeys.Contains(kTab) && GetAsyncKeyState(VK_CONTROL) >= 0) code += DLGC_WANTTAB;
  Message.Result = code;
}

void TcxControl::CNKeyDown(TMessage& Message) {
  if (IsMenuKey(Message)) {
    Message.Result = 1;
    return;
  }
  if (FDragAndDropState != ddsNone) {
    // A key the drag-and-drop object refuses ends the operation as not accepted.
    if (!DragAndDropObject()->DoProcessKeyDown(Message)) FinishDragAndDrop(false);
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

void TcxControl::CNKeyUp(TMessage& Message) {
  if (FDragAndDropState != ddsNone && DragAndDropObject()->DoProcessKeyUp(Message)) {
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

void TcxControl::WMSetCursor(TMessage& Message) {
  if (reinterpret_cast<HWND>(Message.WParam) == Handle() && FDragAndDropState == ddsNone &&
      (!Screen || Screen->Cursor() == crDefault)) {
    const TPoint p = GetMouseCursorClientPos();
    const TCursor cursor = GetCurrentCursor(p.X, p.Y);
    if (cursor != crDefault && Screen) {
      ::qd::SetCursor(Screen->Cursors(cursor));
      Message.Result = 1;
      return;
    }
  }
  inherited::Dispatch(Message);
}

void TcxControl::WMContextMenu(TMessage& Message) {
  const TPoint screenPos = Message.Pos();
  if (!(screenPos.X == -1 && screenPos.Y == -1) && HandleAllocated() &&
      IsScrollBarsArea(ScreenToClient(screenPos))) {
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

void TcxControl::WMCancelMode(TMessage& Message) {
  inherited::Dispatch(Message);
  FinishDragAndDrop(false);
  DoCancelMode();
}

void TcxControl::WMWindowPosChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!IsPopupScrollBars() || !HasVisibleTouchScrollUI() || Message.LParam == 0) return;
  const auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
  if ((pos->flags & SWP_NOMOVE) == 0 && (pos->flags & SWP_NOSIZE) != 0) CheckTouchScrollUIPosition();
}

void TcxControl::CMInvalidate(TMessage& Message) {
  if (HandleAllocated() && !IsDestroying())
    ::qd::InvalidateControl(this, Message.WParam == 0, NeedRedrawOnResize());
}

void TcxControl::CMNCSizeChanged(TMessage&) {
  if (!NeedsScrollBars() || !MainBars()) return;
  bool horizontal = false, vertical = false;
  GetSystemSizeScrollBars(horizontal, vertical);
  bool changed = false;
  if (horizontal) changed = FMainScrollBars->CheckSize(sbHorizontal);
  if (vertical) changed = FMainScrollBars->CheckSize(sbVertical) || changed;
  if (changed) BoundsChanged();
}

void TcxControl::CMBiDiModeChanged(TMessage& Message) {
  if (!RecreateWndOnBiDiModeChanged()) {
    const WPARAM saved = Message.WParam;
    Message.WParam = 1;
    inherited::Dispatch(Message);
    Message.WParam = saved;
  } else {
    inherited::Dispatch(Message);
  }
  BiDiModeChanged();
}

void TcxControl::CMDesignHitTest(TMessage& Message) {
  inherited::Dispatch(Message);
  if (Message.Result == 0) {
    const TPoint p{static_cast<int16_t>(Message.LParamLo()), static_cast<int16_t>(Message.LParamHi())};
    Message.Result = GetDesignHitTest(p.X, p.Y, KeysToShiftState(static_cast<WORD>(Message.WParam))) ? 1 : 0;
  }
}

}  // namespace qd
