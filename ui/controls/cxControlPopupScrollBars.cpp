#include "ui/controls/cxControlPopupScrollBars.h"

#include <algorithm>
#include <cmath>

#include "platform/forms/forms.h"
#include "platform/os/gdi.h"
#include "platform/os/user.h"
#include "ui/controls/cxContainerPopup.h"
#include "ui/controls/cxControls.h"
#include "ui/controls/cxHybridScrollBars.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/cxWindowGeometry.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/cxGraphicsColors.h"
#include "ui/graphics/dxCoreGraphicsAlphaColors.h"
#include "ui/graphics/dxGDIPlusAPI.h"
#include "ui/graphics/dxGDIPlusCanvas.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxCustomPopupScrollBarHelper)
QD_IMPLEMENT_CLASS(TcxPopupScrollBarViewInfo)
QD_IMPLEMENT_CLASS(TcxPopupScrollBarPainter)
QD_IMPLEMENT_CLASS(TcxPopupScrollBarHelper)
QD_IMPLEMENT_CLASS(TdxHybridScrollBarPainter)
QD_IMPLEMENT_CLASS(TdxHybridScrollBarHelper)
QD_IMPLEMENT_CLASS(TcxControlPopupScrollBar)
QD_IMPLEMENT_CLASS(TcxPopupSizeGrip)

namespace {

// Nested popup forms are followed this deep at most.
constexpr int cxPopupScrollOwnerChainLimit = 16;

int32_t RoundedPercentOf(int32_t APercent, int32_t AValue) {
  return static_cast<int32_t>(std::nearbyint(static_cast<double>(APercent) * AValue / 100.0));
}

// The hybrid opacity of a full-size background: 22 % of the expansion.
uint8_t HybridBackgroundAlpha(int32_t AVisibleSize) {
  return static_cast<uint8_t>(std::clamp(RoundedPercentOf(AVisibleSize, 22), 0, 255));
}

TcxControl* PopupOwnerControl(IdxTouchScrollUIOwner* AOwner) {
  return dynamic_cast<TcxControl*>(AOwner->GetTouchScrolUIOwnerControl());
}

// The part of R (owner client coordinates) that the owner's window shows, clipped by its siblings
// and parents, as a region in the owner's client coordinates (nullptr when nothing shows).
HRGN PopupVisibleRegion(TWinControl* AOwner, const TRect& R) {
  if (!AOwner->HandleAllocated()) return nullptr;
  const HWND wnd = AOwner->Handle();
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  HDC dc = GetDCEx(wnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  const bool ok = GetRandomRgn(dc, region, SYSRGN) == 1;
  ReleaseDC(wnd, dc);
  if (!ok) {
    DeleteObject(region);
    return CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom);
  }
  // The system region is in the coordinates of the top-level window's surface.
  TRect rootRect{};
  GetWindowRect(GetAncestor(wnd, GA_ROOT), &rootRect);
  TPoint origin{0, 0};
  ClientToScreen(wnd, &origin);
  OffsetRgn(region, rootRect.Left - origin.X, rootRect.Top - origin.Y);
  HRGN bounds = CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom);
  CombineRgn(region, region, bounds, RGN_AND);
  DeleteObject(bounds);
  return region;
}

}  // namespace

// --- Unit functions ----------------------------------------------------------------------------------

HWND GetTouchScrollUIControlOwnerWnd(TWinControl* AControl) {
  HWND result = nullptr;
  TWinControl* control = AControl;
  for (int i = 0; control && i < cxPopupScrollOwnerChainLimit; ++i) {
    TCustomForm* form = GetParentForm(control);
    if (!form || !form->HandleAllocated()) break;
    if (form->FormStyle() == fsMDIChild) {
      if (Application && Application->MainForm() && Application->MainForm()->HandleAllocated())
        result = Application->MainForm()->Handle();
      break;
    }
    if (!IsChildClassWindow(form->Handle())) {
      result = form->Handle();
      break;
    }
    auto* popup = dynamic_cast<TcxCustomPopupWindow*>(form);
    control = popup ? popup->OwnerControl() : nullptr;
  }
  if (!result && Screen && Screen->ActiveForm() && Screen->ActiveForm()->HandleAllocated())
    result = Screen->ActiveForm()->Handle();
  return result;
}

void UpdatePopupScrollElementZOrder(HWND AWnd, TWinControl* AOwnerControl) {
  constexpr UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  TCustomForm* form = AOwnerControl ? GetParentForm(AOwnerControl) : nullptr;
  if (!form || !form->HandleAllocated() || (GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0)
    SetWindowPos(AWnd, HWND_TOPMOST, 0, 0, 0, 0, flags);
  else
    SetWindowPos(AWnd, GetWindow(GetParent(AWnd), GW_HWNDPREV), 0, 0, 0, 0, flags);
}

bool CanShowTouchScrollbar(IdxTouchScrollUIOwner* AOwner) {
  TWinControl* control = AOwner ? AOwner->GetTouchScrolUIOwnerControl() : nullptr;
  return control && control->HandleAllocated() && IsWindowVisible(control->Handle());
}

// --- Bar logic -----------------------------------------------------------------------------------------

TcxControlPopupScrollBar* TcxCustomPopupScrollBarHelper::Bar() const {
  return dynamic_cast<TcxControlPopupScrollBar*>(OwnerControl());
}

void TcxCustomPopupScrollBarHelper::Repaint() {
  if (TcxControlPopupScrollBar* bar = Bar()) bar->Invalidate();
}

void TcxCustomPopupScrollBarHelper::InvalidateRect(const TRect&, bool) {
  if (TcxControlPopupScrollBar* bar = Bar()) bar->Invalidate();
}

TcxPopupScrollBarHelper::TcxPopupScrollBarHelper(IcxScrollBarOwner* AOwner)
    : TcxCustomPopupScrollBarHelper(AOwner) {
  SetViewInfo(std::make_unique<TcxPopupScrollBarViewInfo>(this));
  SetPainter(std::make_unique<TcxPopupScrollBarPainter>(this));
}

TdxHybridScrollBarHelper::TdxHybridScrollBarHelper(IcxScrollBarOwner* AOwner)
    : TcxCustomPopupScrollBarHelper(AOwner) {
  SetPainter(std::make_unique<TdxHybridScrollBarPainter>(this));
}

// --- Painters -----------------------------------------------------------------------------------------

void TcxPopupScrollBarPainter::Paint(TcxCanvas* ACanvas) {
  TcxScrollBarHelper* bar = ScrollBar();
  const TRect bounds = bar->BoundsRect();
  // Drawn anti-aliased: nothing without GDI+.
  if (bounds.IsEmpty() || !CheckGdiPlus()) return;
  TdxGPPaintCanvas* canvas = dxGPPaintCanvas();
  canvas->BeginPaint(ACanvas->Handle(), bounds);
  canvas->SetSmoothingMode(smAntiAlias);
  const bool hot = bar->ViewInfo()->HotPart() != sbpNone;
  // Nearly invisible when idle, yet the layered window still takes the mouse there.
  canvas->FillRectangle(bounds, dxMakeAlphaColor(clSilver, hot ? 50 : 1));
  TRect thumb = bar->ViewInfo()->ThumbnailRect();
  if (!thumb.IsEmpty()) {
    if (bar->Kind() == sbVertical) {
      const int32_t inset = thumb.Width() / 3;
      thumb.Left += inset;
      thumb.Right -= inset;
    } else {
      const int32_t inset = thumb.Height() / 3;
      thumb.Top += inset;
      thumb.Bottom -= inset;
    }
    canvas->Rectangle(thumb, dxMakeAlphaColor(clWhite, 200), dxMakeAlphaColor(clGray, 150), 1);
  }
  canvas->EndPaint();
}

void TdxHybridScrollBarPainter::Paint(TcxCanvas* ACanvas) {
  auto* helper = static_cast<TcxCustomPopupScrollBarHelper*>(ScrollBar());
  TcxControlPopupScrollBar* bar = helper->Bar();
  const TRect bounds = helper->BoundsRect();
  if (!bar || bounds.IsEmpty() || !CheckGdiPlus()) return;
  auto* owner = dynamic_cast<IdxHybridScrollbarOwner*>(bar->ScrollbarOwner());
  TdxHybridScrollbarsManager* manager = bar->HybridManager();
  const TColor base = owner ? owner->GetHybridScrollbarBaseColor() : clBlack;
  const bool expanded = manager && manager->IsActive(bar);
  const bool vertical = helper->Kind() == sbVertical;
  const bool rtl = vertical && helper->IsRightToLeft();
  const TSize collapsedSize = GetHybridScrollBarSize(helper->GetScaleFactor(), false);
  const int32_t collapsed = vertical ? collapsedSize.cx : collapsedSize.cy;
  // A strip of AThickness at the outer edge of R.
  auto outerStrip = [&](TRect R, int32_t AThickness) {
    if (!vertical)
      R.Top = R.Bottom - AThickness;
    else if (rtl)
      R.Right = R.Left + AThickness;
    else
      R.Left = R.Right - AThickness;
    return R;
  };

  TdxGPPaintCanvas* canvas = dxGPPaintCanvas();
  canvas->BeginPaint(ACanvas->Handle(), bounds);
  if (expanded)
    canvas->FillRectangle(bounds, dxMakeAlphaColor(base, HybridBackgroundAlpha(manager->VisibleSize())));
  else
    canvas->FillRectangle(outerStrip(bounds, collapsed), dxMakeAlphaColor(base, 1));

  TcxScrollBarPartViewInfo* thumbInfo = helper->ViewInfo()->PartInfo(sbpThumbnail);
  if (!thumbInfo->FBounds.IsEmpty()) {
    const TcxButtonState state = thumbInfo->GetState();
    const uint8_t alpha = state == cxbsPressed ? 162 : state == cxbsHot ? 115 : 69;
    const TRect thumb = outerStrip(thumbInfo->FBounds, bar->VisibleSize());
    if (expanded) {
      canvas->FillRectangle(thumb, dxMakeAlphaColor(base, alpha));
    } else {
      canvas->FillRectangle(thumb, dxMakeAlphaColor(clWhite, 1));
      TRect line = thumb;
      const int32_t third = collapsed / 3;
      if (!vertical) {
        line.Top = thumb.Bottom - 2 * third;
        line.Bottom = thumb.Bottom - third;
      } else if (rtl) {
        line.Left = thumb.Left + third;
        line.Right = thumb.Left + 2 * third;
      } else {
        line.Left = thumb.Right - 2 * third;
        line.Right = thumb.Right - third;
      }
      canvas->FillRectangle(line, dxMakeAlphaColor(base, 133));
    }
  }
  if (expanded) {
    // The chevrons are anti-aliased; the rectangles above keep sharp edges.
    canvas->SetSmoothingMode(smAntiAlias);
    DrawArrow(sbpLineUp, base);
    DrawArrow(sbpLineDown, base);
  }
  canvas->EndPaint();
}

void TdxHybridScrollBarPainter::DrawArrow(TcxScrollBarPart APart, TColor ABaseColor) {
  TcxScrollBarHelper* helper = ScrollBar();
  TcxScrollBarPartViewInfo* info = helper->ViewInfo()->PartInfo(APart);
  if (info->FBounds.IsEmpty()) return;
  const TcxButtonState state = info->GetState();
  TdxGPPaintCanvas* canvas = dxGPPaintCanvas();
  const uint8_t fill = state == cxbsPressed ? 162 : state == cxbsHot ? 45 : 0;
  canvas->FillRectangle(info->FBounds, dxMakeAlphaColor(ABaseColor, fill));
  TcxArrowDirection direction;
  if (helper->Kind() == sbVertical)
    direction = APart == sbpLineUp ? adUp : adDown;
  else
    direction = (APart == sbpLineUp) != helper->IsRightToLeft() ? adLeft : adRight;
  TcxCustomLookAndFeelPainter* standard =
      cxLookAndFeelPaintersManager() ? cxLookAndFeelPaintersManager()->GetPainter(lfsStandard) : nullptr;
  if (!standard) return;
  TcxArrowPoints points;
  standard->CalculateArrowPoints(info->FBounds, points, direction, true, 0);
  const TColor color = state == cxbsPressed ? dxInvertColor(ABaseColor) : ABaseColor;
  canvas->Polyline(std::vector<TPoint>(points.begin(), points.end()), dxMakeAlphaColor(color, 144), 1);
}

// --- TcxControlPopupScrollBar ---------------------------------------------------------------------------

TcxControlPopupScrollBar::TcxControlPopupScrollBar(IdxTouchScrollUIOwner* AScrollbarOwner)
    : TcxControlScrollBar(PopupOwnerControl(AScrollbarOwner)),
      FActivityHelper(std::make_unique<TdxTouchScrollUIActivityHelper>()),
      FScrollbarOwner(AScrollbarOwner) {
  if (TcxControl* owner = OwnerControl()) GetScaleFactor()->Assign(owner->GetScaleFactor());
  if (IsHybrid())
    SetHelper(std::make_unique<TdxHybridScrollBarHelper>(this));
  else
    SetHelper(std::make_unique<TcxPopupScrollBarHelper>(this));
}

TcxControlPopupScrollBar::~TcxControlPopupScrollBar() = default;

bool TcxControlPopupScrollBar::IsHybrid() {
  TcxControl* owner = OwnerControl();
  return owner && owner->GetScrollbarMode() == sbmHybrid;
}

TdxHybridScrollbarsManager* TcxControlPopupScrollBar::HybridManager() {
  auto* owner = dynamic_cast<IdxHybridScrollbarOwner*>(FScrollbarOwner);
  return owner ? owner->GetHybridScrollbarsManager() : nullptr;
}

void TcxControlPopupScrollBar::CreateParams(TCreateParams& Params) {
  TcxControlScrollBar::CreateParams(Params);
  Params.Style = WS_POPUP;
  Params.ExStyle = WS_EX_LAYERED;
}

void TcxControlPopupScrollBar::DestroyWnd() {
  Helper()->SetVisibleRgn(nullptr);
  TcxControlScrollBar::DestroyWnd();
}

void TcxControlPopupScrollBar::InitControl() {
  const HWND wnd = GetTouchScrollUIControlOwnerWnd(OwnerControl());
  if (ParentWindow() != wnd) {
    if (HandleAllocated()) DestroyHandle();
    SetParentWindow(wnd);
  }
  if (TcxControl* owner = OwnerControl()) SetBiDiMode(owner->BiDiMode());
}

TSize TcxControlPopupScrollBar::GetInitialSize() {
  return IsHybrid() ? GetHybridScrollBarSize(GetScaleFactor(), true)
                    : GetTouchScrollBarSize(GetScaleFactor());
}

int32_t TcxControlPopupScrollBar::GetMaxVisibleSize() {
  const TSize size = GetHybridScrollBarSize(GetScaleFactor(), true);
  return Kind() == sbVertical ? size.cx : size.cy;
}

int32_t TcxControlPopupScrollBar::GetMinVisibleSize() {
  const TSize size = GetHybridScrollBarSize(GetScaleFactor(), false);
  return Kind() == sbVertical ? size.cx : size.cy;
}

void TcxControlPopupScrollBar::ApplyData() {
  FAllowVisible = Data()->FVisible;
  TcxControlScrollBar::ApplyData();
}

bool TcxControlPopupScrollBar::IsTouchScrollUIHidden() {
  TcxControl* owner = OwnerControl();
  if (!owner) return true;
  switch (owner->GetScrollbarMode()) {
    case sbmTouch:
      return TdxTouchScrollUIModeManager::IsScrollUIHidden(FScrollbarOwner);
    case sbmHybrid: {
      TdxHybridScrollbarsManager* manager = HybridManager();
      return !manager || !manager->AllowVisible();
    }
    default:
      return false;
  }
}

bool TcxControlPopupScrollBar::IsActuallyVisible() {
  return Data()->FVisible && !IsTouchScrollUIHidden();
}

void TcxControlPopupScrollBar::SetOwnerControlRelativeBounds(const TRect& R) {
  TcxControl* owner = OwnerControl();
  if (!owner || !owner->HandleAllocated()) return;
  const TPoint origin = owner->ClientToScreen(TPoint{0, 0});
  SetBoundsRect(cxRectOffset(R, origin.X, origin.Y));
  if (HRGN region = PopupVisibleRegion(owner, R)) {
    OffsetRgn(region, -R.Left, -R.Top);
    Helper()->SetVisibleRgn(region);
  }
  Invalidate();
}

void TcxControlPopupScrollBar::SetVisible(bool Value) {
  if (IsHybrid() && !Value && Visible())
    if (TdxHybridScrollbarsManager* manager = HybridManager()) manager->ScrollbarHiding(this);
  TcxControlScrollBar::SetVisible(Value);
  if (Visible() && HandleAllocated()) {
    if (!IsWindowVisible(Handle())) ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    UpdateLayer();
    UpdatePopupScrollElementZOrder(Handle(), OwnerControl());
  }
}

void TcxControlPopupScrollBar::Invalidate() {
  if (!Visible()) return;
  if (IsHybrid()) {
    if (TdxHybridScrollbarsManager* manager = HybridManager()) {
      const int32_t min = GetMinVisibleSize(), max = GetMaxVisibleSize();
      FVisibleSize = min + RoundedPercentOf(manager->VisibleSize(), max - min);
      FAlpha = manager->FadingValue();
    }
  } else {
    FVisibleSize = GetMaxVisibleSize();
  }
  UpdateLayer();
}

void TcxControlPopupScrollBar::Resize() {
  TcxControlScrollBar::Resize();
  if (Visible()) UpdateLayer();
}

void TcxControlPopupScrollBar::UpdateLayer() {
  if (!HandleAllocated() || !IsWindowVisible(Handle())) return;
  const TRect r = ClientRect();
  if (r.IsEmpty()) return;
  TcxBitmap32 bitmap(r.Width(), r.Height(), true);
  Helper()->DoPaint(bitmap.cxCanvas());
  cxUpdateLayeredWindow(Handle(), &bitmap, FAlpha);
}

bool TcxControlPopupScrollBar::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (TcxControl* owner = OwnerControl(); owner && owner->DoMouseWheel(Shift, WheelDelta, MousePos))
    return true;
  return TcxControlScrollBar::DoMouseWheel(Shift, WheelDelta, MousePos);
}

void TcxControlPopupScrollBar::DoWndProc(TMessage& Message) {
  TcxControlScrollBar::DoWndProc(Message);
  TcxControl* owner = OwnerControl();
  if (!owner) return;
  if (owner->GetScrollbarMode() == sbmTouch) {
    if (FActivityHelper->CheckScrollActivity(this, Message)) {
      TdxTouchScrollUIModeManager::ShowScrollUI(FScrollbarOwner, true);
      return;
    }
    switch (Message.Msg) {
      case WM_ACTIVATEAPP:
        if (Message.WParam == 0) TdxTouchScrollUIModeManager::HideScrollUI(FScrollbarOwner, true);
        break;
      case WM_CANCELMODE:
      case WM_CAPTURECHANGED:
        TdxTouchScrollUIModeManager::HideScrollUI(FScrollbarOwner, false);
        break;
      case WM_LBUTTONDOWN:
        // Held while the button is down: the capture's end releases it.
        TdxTouchScrollUIModeManager::ShowScrollUI(FScrollbarOwner, false);
        TdxTouchScrollUIModeManager::LockOwner();
        break;
      case WM_LBUTTONUP:
        TdxTouchScrollUIModeManager::UnlockOwner();
        TdxTouchScrollUIModeManager::ShowScrollUI(FScrollbarOwner, true);
        break;
      default:
        if (Message.Msg >= WM_LBUTTONDBLCLK && Message.Msg <= 0x020E)
          TdxTouchScrollUIModeManager::ShowScrollUI(FScrollbarOwner, true);
        break;
    }
    return;
  }
  TdxHybridScrollbarsManager* manager = HybridManager();
  if (!manager) return;
  switch (Message.Msg) {
    case WM_ACTIVATEAPP:
      if (Message.WParam == 0) manager->Hide(true, false);
      break;
    case WM_CANCELMODE:
      manager->Hide(false, true);
      break;
    case WM_MOUSEMOVE:
      if (!FMouseEnter) {
        FMouseEnter = true;
        manager->Expand(this);
      }
      break;
    case CM_MOUSELEAVE:
      FMouseEnter = false;
      manager->Collapse();
      break;
    default:
      break;
  }
}

void TcxControlPopupScrollBar::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_MOUSEACTIVATE) {
    Message.Result = MA_NOACTIVATE;
    return;
  }
  TcxControlScrollBar::Dispatch(Message);
}

// --- TcxPopupSizeGrip -------------------------------------------------------------------------------------

TcxPopupSizeGrip::TcxPopupSizeGrip(IdxTouchScrollUIOwner* AScrollbarOwner)
    : TcxSizeGrip(PopupOwnerControl(AScrollbarOwner)), FScrollbarOwner(AScrollbarOwner) {}

void TcxPopupSizeGrip::CreateParams(TCreateParams& Params) {
  TcxSizeGrip::CreateParams(Params);
  Params.Style = WS_POPUP;
  Params.ExStyle = WS_EX_LAYERED;
}

void TcxPopupSizeGrip::CreateWnd() {
  TcxSizeGrip::CreateWnd();
  SetLayeredWindowAttributes(Handle(), 0, 50, LWA_ALPHA);
}

void TcxPopupSizeGrip::InitControl() {
  const HWND wnd = GetTouchScrollUIControlOwnerWnd(OwnerControl());
  if (ParentWindow() != wnd) {
    if (HandleAllocated()) DestroyHandle();
    SetParentWindow(wnd);
  }
}

void TcxPopupSizeGrip::SetOwnerControlRelativeBounds(const TRect& R) {
  TcxControl* owner = OwnerControl();
  if (!owner || !owner->HandleAllocated()) return;
  TRect visible = R;
  if (HRGN region = PopupVisibleRegion(owner, R)) {
    GetRgnBox(region, &visible);
    DeleteObject(region);
  }
  const TPoint origin = owner->ClientToScreen(TPoint{0, 0});
  SetBoundsRect(cxRectOffset(visible, origin.X, origin.Y));
}

void TcxPopupSizeGrip::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_MOUSEACTIVATE) {
    Message.Result = MA_NOACTIVATE;
    return;
  }
  TcxSizeGrip::Dispatch(Message);
}

void TcxPopupSizeGrip::Draw(TcxCanvas* ACanvas) {
  TcxControl* owner = OwnerControl();
  auto* hybridOwner = dynamic_cast<IdxHybridScrollbarOwner*>(FScrollbarOwner);
  if (owner && hybridOwner && owner->GetScrollbarMode() == sbmHybrid) {
    ACanvas->FillRect(ClientRect(), hybridOwner->GetHybridScrollbarBaseColor());
    if (TdxHybridScrollbarsManager* manager = hybridOwner->GetHybridScrollbarsManager();
        manager && HandleAllocated())
      SetLayeredWindowAttributes(Handle(), 0, HybridBackgroundAlpha(manager->VisibleSize()), LWA_ALPHA);
    return;
  }
  ACanvas->FillRect(ClientRect(), clSilver);
}

}  // namespace qd
