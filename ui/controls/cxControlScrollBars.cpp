#include "ui/controls/cxControlScrollBars.h"

#include "ui/controls/cxControls.h"
#include "ui/core/cxGeometry.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxControlScrollBar)
QD_IMPLEMENT_CLASS(TcxSizeGrip)

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

TcxControlScrollBar::~TcxControlScrollBar() = default;

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
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      FocusParent();
      break;
    case CM_DESIGNHITTEST:
    case CM_HINTSHOW:
      Message.Result = 1;
      return;
    default:
      break;
  }
  TcxScrollBar::WndProc(Message);
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
  auto* bar = new TcxControlScrollBar(FOwner);
  bar->SetKind(AKind);
  bar->OnScroll = TScrollEvent(this, &TcxControlWindowedScrollBars::DoScroll);
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

}  // namespace qd
