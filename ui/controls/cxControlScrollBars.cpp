#include "ui/controls/cxControlScrollBars.h"

#include "platform/forms/forms.h"
#include "platform/os/user.h"
#include "ui/controls/cxControlPopupScrollBars.h"
#include "ui/controls/cxControls.h"
#include "ui/core/cxClassesTimer.h"
#include "ui/core/cxGeometry.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxControlScrollBar)
QD_IMPLEMENT_CLASS(TcxSizeGrip)
QD_IMPLEMENT_CLASS(TcxControlScrollBarHelper)

// --- TcxControlScrollBar ------------------------------------------------------------------------

TcxControlScrollBar::TcxControlScrollBar(TcxControl* AOwnerControl)
    : TcxScrollBar(nullptr), FOwnerControl(AOwnerControl) {
  SetColor(clBtnFace);
  TControlStyle style = ControlStyle();
  style.Exclude(csFramed);
  style.Include(csNoDesignVisible);
  SetControlStyle(style);
  SetTabStop(false);
  SetVisible(false);
  SetParentShowHint(false);
  SetShowHint(true);
}

TcxControlScrollBar::~TcxControlScrollBar() {
  cxClearObjectLinks(this);
}

void TcxControlScrollBar::ApplyData() {
  if (FData.FVisible && FData.FIsValid) {
    SetScrollParams(FData.FMin, FData.FMax, FData.FPosition, FData.FPageSize, true);
    SetSmallChange(FData.FSmallChange);
    SetLargeChange(FData.FLargeChange);
  }
  SetEnabled(FData.FEnabled);
  if (IsActuallyVisible() != Visible()) {
    SetVisible(IsActuallyVisible());
    Perform(CM_SHOWINGCHANGED);
  }
}

void TcxControlScrollBar::InitControl() {
  SetParent(FOwnerControl);
}

void TcxControlScrollBar::WndProc(TMessage& Message) {
  if (Message.Msg == CM_DESIGNHITTEST || Message.Msg == CM_HINTSHOW) {
    Message.Result = 1;
    return;
  }
  // The step before may free the bar (a focus change can recreate the owner's bars).
  TcxObjectLink* link = cxAddObjectLink(this);
  DoWndProc(Message);
  const bool alive = link->Ref != nullptr;
  cxRemoveObjectLink(link);
  if (alive) TcxScrollBar::WndProc(Message);
}

void TcxControlScrollBar::DoWndProc(TMessage& Message) {
  if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) FocusParent();
}

void TcxControlScrollBar::FocusParent() {
  if (FOwnerControl) {
    if (FOwnerControl->FocusWhenChildIsClicked(this)) FOwnerControl->SetFocus();
    return;
  }
  if (auto* control = dynamic_cast<TcxControl*>(Parent())) {
    if (control->FocusWhenChildIsClicked(this)) control->SetFocus();
  } else if (Parent() && Parent()->CanFocus()) {
    Parent()->SetFocus();
  }
}

// --- TcxSizeGrip --------------------------------------------------------------------------------

TcxSizeGrip::TcxSizeGrip(TcxControl* AOwnerControl) : TCustomControl(nullptr), FOwnerControl(AOwnerControl) {
  SetColor(clBtnFace);
  TControlStyle style = ControlStyle();
  style.Include(csNoDesignVisible);
  SetControlStyle(style);
  SetTabStop(false);
  SetVisible(false);
  FLookAndFeel = std::make_unique<TcxLookAndFeel>(this);
  FLookAndFeel->SetOnChanged(TcxLookAndFeelChangedEvent(this, &TcxSizeGrip::LookAndFeelChanged));
}

TcxSizeGrip::~TcxSizeGrip() = default;

void TcxSizeGrip::InitControl() {
  SetParent(FOwnerControl);
}

void TcxSizeGrip::Paint() {
  TcxCanvas canvas(Canvas());
  Draw(&canvas);
}

void TcxSizeGrip::Draw(TcxCanvas* ACanvas) {
  TcxCustomLookAndFeelPainter* painter = FLookAndFeel->Painter();
  ACanvas->FillRect(ClientRect(), painter ? painter->DefaultSizeGripAreaColor() : clBtnFace);
}

void TcxSizeGrip::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_ERASEBKGND) {
    Message.Result = 1;
    return;
  }
  TCustomControl::Dispatch(Message);
}

// --- TcxControlWindowedScrollBars ---------------------------------------------------------------

TcxControlWindowedScrollBars::TcxControlWindowedScrollBars(TcxControl* AOwner) : FOwner(AOwner) {
  FHScrollBar = CreateScrollBar(sbHorizontal);
  FVScrollBar = CreateScrollBar(sbVertical);
  if (FOwner->IsPopupScrollBars())
    FSizeGrip = new TcxPopupSizeGrip(FOwner);
  else
    FSizeGrip = new TcxSizeGrip(FOwner);
  FSizeGrip->LookAndFeel()->SetMasterLookAndFeel(FOwner->LookAndFeel());
  FSizeGrip->SetControlStyle(FSizeGrip->ControlStyle() + TControlStyle{csReplicatable});
}

TcxControlWindowedScrollBars::~TcxControlWindowedScrollBars() {
  delete FSizeGrip;
  delete FVScrollBar;
  delete FHScrollBar;
}

TcxControlScrollBar* TcxControlWindowedScrollBars::CreateScrollBar(TScrollBarKind AKind) {
  TcxControlScrollBar* bar;
  if (FOwner->IsPopupScrollBars())
    bar = new TcxControlPopupScrollBar(FOwner);
  else
    bar = new TcxControlScrollBar(FOwner);
  bar->SetKind(AKind);
  bar->OnScroll = TScrollEvent(this, &TcxControlWindowedScrollBars::DoScroll);
  bar->OnMouseEnter = TNotifyEvent(this, &TcxControlWindowedScrollBars::ScrollBarMouseEnter);
  bar->OnMouseLeave = TNotifyEvent(this, &TcxControlWindowedScrollBars::ScrollBarMouseLeave);
  bar->LookAndFeel()->SetMasterLookAndFeel(FOwner->LookAndFeel());
  bar->SetControlStyle(bar->ControlStyle() + TControlStyle{csReplicatable});
  const TSize size = FOwner->GetScrollBarSize();
  if (AKind == sbHorizontal)
    bar->SetHeight(size.cy);
  else
    bar->SetWidth(size.cx);
  return bar;
}

void TcxControlWindowedScrollBars::DoScroll(TObject* Sender, TScrollCode AScrollCode, int32_t& AScrollPos) {
  FOwner->Scroll(static_cast<TcxControlScrollBar*>(Sender)->Kind(), AScrollCode, AScrollPos);
}

void TcxControlWindowedScrollBars::ScrollBarMouseEnter(TObject*) {
  if (FOwner->GetScrollbarMode() == sbmTouch) FOwner->HideTouchScrollUI(FOwner, false);
}

void TcxControlWindowedScrollBars::UnInitScrollBars() {
  if (!FOwner->IsPopupScrollBars()) return;
  for (TWinControl* control : {static_cast<TWinControl*>(FSizeGrip), static_cast<TWinControl*>(FVScrollBar),
                               static_cast<TWinControl*>(FHScrollBar)})
    if (!control->Parent() && control->HandleAllocated()) control->DestroyHandle();
}

bool TcxControlWindowedScrollBars::IsScrollBarActive(TScrollBarKind AKind) {
  switch (FOwner->GetScrollbarMode()) {
    case sbmTouch:
      return static_cast<TcxControlPopupScrollBar*>(GetScrollBar(AKind))->AllowVisible();
    case sbmHybrid:
      if (FCalculating) return IsScrollBarVisible(AKind);
      return static_cast<TcxControlPopupScrollBar*>(GetScrollBar(AKind))->AllowVisible();
    default:
      return IsScrollBarVisible(AKind);
  }
}

void TcxControlWindowedScrollBars::InitScrollBars() {
  FHScrollBar->InitControl();
  FVScrollBar->InitControl();
  FSizeGrip->InitControl();
  FHScrollBar->HandleNeeded();
  FVScrollBar->HandleNeeded();
  FSizeGrip->HandleNeeded();
}

void TcxControlWindowedScrollBars::Hide() {
  FHScrollBar->SetVisible(false);
  FVScrollBar->SetVisible(false);
  FSizeGrip->SetVisible(false);
}

void TcxControlWindowedScrollBars::Invalidate() {
  for (TControl* control : {static_cast<TControl*>(FHScrollBar), static_cast<TControl*>(FVScrollBar),
                            static_cast<TControl*>(FSizeGrip)})
    if (control->Visible()) control->Invalidate();
}

void TcxControlWindowedScrollBars::UpdateInternalControlsState() {
  for (TControl* control : {static_cast<TControl*>(FHScrollBar), static_cast<TControl*>(FVScrollBar),
                            static_cast<TControl*>(FSizeGrip)})
    if (control->Visible()) control->Update();
}

void TcxControlWindowedScrollBars::BringInternalControlsToFront() {
  if (FOwner->GetScrollbarMode() != sbmClassic) return;
  for (TWinControl* control : {static_cast<TWinControl*>(FHScrollBar), static_cast<TWinControl*>(FVScrollBar),
                               static_cast<TWinControl*>(FSizeGrip)})
    if (control->Visible() && control->HandleAllocated())
      SetWindowPos(control->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW);
}

void TcxControlWindowedScrollBars::SetInternalControlsBounds() {
  if (FHScrollBar->Visible()) FHScrollBar->SetOwnerControlRelativeBounds(FOwner->GetHScrollBarBounds());
  if (FVScrollBar->Visible()) FVScrollBar->SetOwnerControlRelativeBounds(FOwner->GetVScrollBarBounds());
  if (FSizeGrip->Visible()) FSizeGrip->SetOwnerControlRelativeBounds(FOwner->GetSizeGripBounds());
}

bool TcxControlWindowedScrollBars::CheckSize(TScrollBarKind AKind) {
  const TSize size = FOwner->GetScrollBarSize();
  if (AKind == sbHorizontal) {
    if (FHScrollBar->Height() == size.cy) return false;
    FHScrollBar->SetHeight(size.cy);
  } else {
    if (FVScrollBar->Width() == size.cx) return false;
    FVScrollBar->SetWidth(size.cx);
  }
  return true;
}

void TcxControlWindowedScrollBars::CheckSizeGripVisible(bool AVisible) {
  FSizeGrip->SetVisible(AVisible);
  if (AVisible && !FSizeGrip->Parent() && FSizeGrip->HandleAllocated())
    UpdatePopupScrollElementZOrder(FSizeGrip->Handle(), FOwner);
}

bool TcxControlWindowedScrollBars::IsScrollBarVisible(TScrollBarKind AKind) {
  TcxControlScrollBar* bar = GetScrollBar(AKind);
  return FCalculating ? bar->Data()->FVisible : bar->Visible();
}

bool TcxControlWindowedScrollBars::IsInternalControl(TControl* AControl) const {
  return AControl && (AControl == FHScrollBar || AControl == FVScrollBar || AControl == FSizeGrip);
}

bool TcxControlWindowedScrollBars::IsSizeGripArea(const TPoint& P) {
  return FSizeGrip->Visible() && cxRectPtIn(FOwner->GetSizeGripBounds(), P);
}

// --- TcxControlScrollBarHelper ---------------------------------------------------------------------

void TcxControlScrollBarHelper::ApplyData() {
  if (FData.FVisible && FData.FIsValid) {
    SetScrollParams(FData.FMin, FData.FMax, FData.FPosition, FData.FPageSize, Visible());
    SetSmallChange(FData.FSmallChange);
    SetLargeChange(FData.FLargeChange);
  }
  SetEnabled(FData.FEnabled);
  SetVisible(FData.FVisible);
}

void TcxControlScrollBarHelper::Repaint() {
  TWinControl* control = OwnerControl();
  if (!control || !control->HandleAllocated()) return;
  if (IsNonClient()) {
    TcxScrollBarHelper::Repaint();
    return;
  }
  HDC dc = GetDC(control->Handle());
  TcxPaintCanvas* canvas = cxPaintCanvas();
  canvas->BeginPaint(dc);
  Paint(canvas);
  canvas->EndPaint();
  ReleaseDC(control->Handle(), dc);
}

// --- TcxControlScrollBarsManager --------------------------------------------------------------------

TcxControlScrollBarsManager::TcxControlScrollBarsManager(TcxControl* AOwner) : FOwner(AOwner) {}

TcxControlScrollBarsManager::~TcxControlScrollBarsManager() {
  // The tracking timer would otherwise call a freed caller.
  EndMouseTracking(this);
  FCheckCaptureTimer.reset();
}

void TcxControlScrollBarsManager::RegisterScrollBar(TcxControlScrollBarHelper* AScrollBar) {
  if (std::find(FScrollBars.begin(), FScrollBars.end(), AScrollBar) == FScrollBars.end())
    FScrollBars.push_back(AScrollBar);
}

void TcxControlScrollBarsManager::UnRegisterScrollBar(TcxControlScrollBarHelper* AScrollBar) {
  if (AScrollBar == FHotScrollBar) SetHotScrollBar(nullptr);
  std::erase(FScrollBars, AScrollBar);
}

void TcxControlScrollBarsManager::Paint(TcxCanvas* ACanvas) {
  for (TcxControlScrollBarHelper* bar : FScrollBars)
    if (bar->Visible() && ACanvas->RectVisible(bar->BoundsRect())) bar->Paint(ACanvas);
}

bool TcxControlScrollBarsManager::IsScrollBarsArea(const TPoint& P) {
  return std::any_of(FScrollBars.begin(), FScrollBars.end(), [&](TcxControlScrollBarHelper* bar) {
    return bar->Visible() && cxRectPtIn(bar->BoundsRect(), P);
  });
}

TcxControlScrollBarHelper* TcxControlScrollBarsManager::FindScrollBar(const TPoint& P) {
  for (auto it = FScrollBars.rbegin(); it != FScrollBars.rend(); ++it)
    if ((*it)->Visible() && (*it)->Enabled() && (*it)->PtInVisibleRgn(P)) return *it;
  return nullptr;
}

bool TcxControlScrollBarsManager::HandleMessage(TMessage& Message) {
  auto position = [&] {
    if (FOwner->HandleAllocated() && (FOwner->Width() > 32768 || FOwner->Height() > 32768))
      return FOwner->GetMouseCursorClientPos();
    return TPoint{static_cast<int16_t>(Message.LParamLo()), static_cast<int16_t>(Message.LParamHi())};
  };
  const TShiftState shift = KeysToShiftState(static_cast<WORD>(Message.WParam));
  switch (Message.Msg) {
    case WM_MOUSEMOVE: {
      const TPoint p = position();
      if (!ProcessMouseMove(shift, p.X, p.Y)) return false;
      if (Application) Application->CancelHint();
      return true;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
      const TMouseButton button = Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK ? mbLeft
                                  : Message.Msg == WM_RBUTTONDOWN || Message.Msg == WM_RBUTTONDBLCLK
                                      ? mbRight
                                      : mbMiddle;
      const TPoint p = position();
      return ProcessMouseDown(button, shift, p.X, p.Y);
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const TMouseButton button = Message.Msg == WM_LBUTTONUP   ? mbLeft
                                  : Message.Msg == WM_RBUTTONUP ? mbRight
                                                                : mbMiddle;
      const TPoint p = position();
      return ProcessMouseUp(button, shift, p.X, p.Y);
    }
    case WM_CAPTURECHANGED:
      // The window gives up the capture before it is destroyed for a recreation: the drag is
      // kept (WM_DESTROY and WM_CREATE below decide how it goes on).
      if (FIsCapture && FOwner->ControlState().Contains(csRecreating)) return false;
      FIsCapture = false;
      if (FHotScrollBar) FHotScrollBar->CancelMode();
      return false;
    case WM_DESTROY:
      // The owner's window is being recreated during a drag: once the button is up the drag ends.
      if (FIsCapture && !FCheckCaptureTimer) {
        FCheckCaptureTimer = std::make_unique<TcxTimer>(nullptr);
        FCheckCaptureTimer->SetInterval(CheckCaptureInterval);
        FCheckCaptureTimer->SetOnTimer(
            TNotifyEvent(this, &TcxControlScrollBarsManager::CheckCaptureTimerHandler));
        FCheckCaptureTimer->SetEnabled(true);
      }
      return false;
    case WM_CREATE:
      if (FIsCapture) {
        FIsCapture = false;
        if (GetCapture() == nullptr && GetAsyncKeyState(VK_LBUTTON) < 0) SetIsCapture(true);
      }
      return false;
    default:
      return false;
  }
}

void TcxControlScrollBarsManager::CheckCaptureTimerHandler(TObject*) {
  if (GetAsyncKeyState(VK_LBUTTON) < 0) return;
  FCheckCaptureTimer->SetEnabled(false);
  if (FHotScrollBar) FHotScrollBar->CancelMode();
  SetIsCapture(false);
}

bool TcxControlScrollBarsManager::ProcessMouseDown(TMouseButton Button, TShiftState Shift, int32_t X,
                                                   int32_t Y) {
  if (FOwner->IsSizeGripArea(TPoint{X, Y})) return true;
  if (!FHotScrollBar || Button != mbLeft || !FHotScrollBar->Enabled()) return FHotScrollBar != nullptr;
  SetIsCapture(true);
  if (FOwner->CanFocusOnClick(X, Y)) {
    FOwner->SetActivateType(atByMouseNonClientArea);
    FOwner->SetFocus();
  }
  if (FHotScrollBar)
    FHotScrollBar->MouseDown(Button, Shift, X, Y);
  else
    SetIsCapture(false);
  return true;
}

bool TcxControlScrollBarsManager::ProcessMouseMove(TShiftState Shift, int32_t X, int32_t Y) {
  if (!FIsCapture && FOwner->HandleAllocated() && GetCapture() == FOwner->Handle() &&
      !FOwner->AllowScrollContentOnDrag())
    return false;
  if (!FIsCapture) SetHotScrollBar(FindScrollBar(TPoint{X, Y}));
  if (FHotScrollBar) {
    FHotScrollBar->MouseMove(Shift, X, Y);
    return true;
  }
  return FOwner->IsSizeGripArea(TPoint{X, Y});
}

bool TcxControlScrollBarsManager::ProcessMouseUp(TMouseButton Button, TShiftState Shift, int32_t X,
                                                 int32_t Y) {
  if (!FIsCapture) return false;
  struct EndCapture {
    TcxControlScrollBarsManager* manager;
    ~EndCapture() { manager->SetIsCapture(false); }
  } end{this};
  if (FHotScrollBar) FHotScrollBar->MouseUp(Button, Shift, X, Y);
  return true;
}

void TcxControlScrollBarsManager::SetHotScrollBar(TcxControlScrollBarHelper* Value) {
  if (FHotScrollBar == Value) return;
  if (FHotScrollBar) {
    TcxControlScrollBarHelper* previous = FHotScrollBar;
    FHotScrollBar = nullptr;
    previous->MouseLeave();
    EndMouseTracking(this);
  }
  FHotScrollBar = Value;
  if (FHotScrollBar) {
    FHotScrollBar->MouseEnter();
    BeginMouseTracking(FOwner, FHotScrollBar->BoundsRect(), this);
  }
}

void TcxControlScrollBarsManager::SetIsCapture(bool Value) {
  if (Value) {
    FIsCapture = true;
    if (FOwner->HandleAllocated()) cxSetCapture(FOwner->Handle());
    return;
  }
  FCheckCaptureTimer.reset();
  const bool had = FIsCapture;
  FIsCapture = false;
  if (had || (FOwner->HandleAllocated() && GetCapture() == FOwner->Handle())) ReleaseCapture();
}

void TcxControlScrollBarsManager::MouseLeave() {
  if (!FHotScrollBar) return;
  FHotScrollBar->CancelMode();
  SetHotScrollBar(nullptr);
}

bool TcxControlScrollBarsManager::PtInCaller(const TPoint& P) {
  return FHotScrollBar && cxRectPtIn(FHotScrollBar->BoundsRect(), P);
}

}  // namespace qd
