// The container control and its view info.
#include "ui/controls/cxContainer.h"

#include <algorithm>

#include "platform/forms/forms.h"
#include "platform/os/gdi.h"
#include "platform/os/kernel.h"
#include "platform/os/user.h"
#include "platform/os/uxtheme.h"
#include "ui/controls/cxContainerPopup.h"
#include "ui/controls/cxControlScrollBars.h"
#include "ui/controls/cxInnerListBox.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/cxWindowGeometry.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/core/dxThemeManager.h"
#include "ui/graphics/dxOffice11.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxContainerViewInfo)
QD_IMPLEMENT_CLASS(TcxContainer)

// --- Unit functions --------------------------------------------------------------------------------

TRect GetControlRect(TControl* AControl) {
  return TRect{0, 0, AControl->Width(), AControl->Height()};
}

int32_t GetContainerBorderWidth(TcxContainerBorderStyle ABorderStyle) {
  TcxCustomLookAndFeelPainter* painter = nullptr;
  if (cxLookAndFeelPaintersManager() && cxLookAndFeelPaintersManager()->GetPainter(lfsStandard, painter))
    return painter->GetContainerBorderWidth(ABorderStyle);
  return cxContainerBorderWidthA1[ABorderStyle];
}

TColor GetContainerBorderColor(bool AIsHighlightBorder, bool AIsOffice11Style) {
  if (!AIsHighlightBorder) return clBtnShadow;
  return AIsOffice11Style ? dxOffice11SelectedBorderColor : clHighlight;
}

void InflateRectByBorders(TRect& R, int32_t ABorderWidth, TcxBorders AEdges) {
  if (!AEdges.Contains(bLeft)) R.Left += ABorderWidth;
  if (!AEdges.Contains(bTop)) R.Top += ABorderWidth;
  if (!AEdges.Contains(bRight)) R.Right -= ABorderWidth;
  if (!AEdges.Contains(bBottom)) R.Bottom -= ABorderWidth;
}

void DrawContainerShadow(TcxCanvas* ACanvas, const TRect& R) {
  const int32_t w = cxContainerShadowWidth;
  const TRect bottom{R.Left + w, R.Bottom, R.Right, R.Bottom + w};
  ACanvas->FillRect(bottom, cxContainerShadowColor);
  ACanvas->ExcludeClipRect(bottom);
  const TRect right{R.Right, R.Top + w, R.Right + w, R.Bottom + w};
  ACanvas->FillRect(right, cxContainerShadowColor);
  ACanvas->ExcludeClipRect(right);
}

namespace {
// The frame between the outer and the inner rectangle as four strips: left and right full
// height, top and bottom between them.
std::array<TRect, 4> ContainerFrameStrips(const TRect& O, const TRect& I) {
  return {TRect{O.Left, O.Top, I.Left, O.Bottom}, TRect{I.Left, O.Top, I.Right, I.Top},
          TRect{I.Right, O.Top, O.Right, O.Bottom}, TRect{I.Left, I.Bottom, I.Right, O.Bottom}};
}
}  // namespace

void InternalFillRect(TcxCanvas* ACanvas, const TRect& AOuterRect, const TRect& AInternalRect,
                      TColor AColor) {
  if (AOuterRect.IsEmpty() || AOuterRect == AInternalRect) return;
  if (AInternalRect.IsEmpty()) {
    ACanvas->FillRect(AOuterRect, AColor);
    return;
  }
  for (const TRect& r : ContainerFrameStrips(AOuterRect, AInternalRect))
    if (!r.IsEmpty()) ACanvas->FillRect(r, AColor);
}

void InternalInvalidate(HWND AHandle, const TRect& AOuterRect, const TRect& AInternalRect,
                        bool AEraseBackground, bool AFrame) {
  UINT flags = RDW_INVALIDATE;
  if (AEraseBackground) flags |= RDW_ERASE;
  if (AFrame) flags |= RDW_FRAME;
  if (AInternalRect.IsEmpty()) {
    RedrawWindow(AHandle, &AOuterRect, nullptr, flags);
    return;
  }
  for (const TRect& r : ContainerFrameStrips(AOuterRect, AInternalRect))
    if (!r.IsEmpty()) RedrawWindow(AHandle, &r, nullptr, flags);
}

HRGN GetWindowShadowRegion(HWND, TRect AShadowBounds, const TRect& AShadowBoundsExtent,
                           const TRect& AExcludeRect, bool AShadow, bool ANativeBorder) {
  if (!AShadow || ANativeBorder) return nullptr;
  HRGN result =
      CreateRectRgn(AShadowBounds.Left, AShadowBounds.Top, AShadowBounds.Right, AShadowBounds.Bottom);
  TRect r = cxRectOffset(AShadowBounds, cxContainerShadowWidth, cxContainerShadowWidth);
  r.Left += AShadowBoundsExtent.Left;
  r.Top += AShadowBoundsExtent.Top;
  r.Right -= AShadowBoundsExtent.Right;
  r.Bottom -= AShadowBoundsExtent.Bottom;
  HRGN shadow = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
  CombineRgn(result, result, shadow, RGN_OR);
  DeleteObject(shadow);
  if (!AExcludeRect.IsEmpty()) {
    HRGN exclude =
        CreateRectRgn(AExcludeRect.Left, AExcludeRect.Top, AExcludeRect.Right, AExcludeRect.Bottom);
    CombineRgn(result, result, exclude, RGN_DIFF);
    DeleteObject(exclude);
  }
  return result;
}

HRGN GetWindowRegion(HWND AHandle) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  if (GetWindowRgn(AHandle, region) == ERROR) {
    DeleteObject(region);
    return nullptr;
  }
  return region;
}

bool SetWindowRegion(HWND AHandle, HRGN ARegion, bool ARedraw) {
  HRGN current = GetWindowRegion(AHandle);
  // No region and an empty one count as different.
  bool same = (current == nullptr && ARegion == nullptr) ||
              (current != nullptr && ARegion != nullptr && EqualRgn(current, ARegion));
  if (current) DeleteObject(current);
  if (same) {
    if (ARegion) DeleteObject(ARegion);
    return true;
  }
  return SetWindowRgn(AHandle, ARegion, ARedraw) != 0;
}

void SetWindowRegion(TWinControl* AControl, const TcxContainerInnerControlBounds& ABounds) {
  if (ABounds.IsEmpty) {
    SetWindowRegion(AControl->Handle(), nullptr, true);
    return;
  }
  const TRect& r = ABounds.Rect;
  SetWindowRegion(AControl->Handle(), CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom), true);
}

// --- Scroll-bar information, size grip, hints ----------------------------------------------------

namespace {
using TcxGetScrollBarInfoProc = BOOL (*)(HWND, LONG, SCROLLBARINFO*);
TcxGetScrollBarInfoProc FcxGetScrollBarInfoProc = nullptr;
}  // namespace

bool UsecxScrollBars() {
  return FcxGetScrollBarInfoProc != nullptr;
}

void SetUsecxScrollBars() {
  HMODULE user32 = GetModuleHandleW(u"user32.dll");
  FcxGetScrollBarInfoProc =
      user32 ? reinterpret_cast<TcxGetScrollBarInfoProc>(GetProcAddress(user32, "GetScrollBarInfo"))
             : nullptr;
}

bool cxCutScrollPage(SCROLLINFO& AInfo) {
  if (AInfo.nMax < AInfo.nMin) return false;
  // Cut to the range, not to the maximum: with a minimum above 0 a page of the maximum would
  // not fit the library bar's range.
  const int64_t range = static_cast<int64_t>(AInfo.nMax) - AInfo.nMin;
  if (static_cast<int64_t>(AInfo.nPage) > range) AInfo.nPage = static_cast<UINT>(range);
  return true;
}

bool cxGetScrollBarInfo(HWND AHandle, LONG AObjectId, SCROLLBARINFO& AInfo) {
  if (!FcxGetScrollBarInfoProc) return false;
  AInfo = SCROLLBARINFO{};
  AInfo.cbSize = 60;
  return FcxGetScrollBarInfoProc(AHandle, AObjectId, &AInfo) != 0;
}

bool cxGetScrollBarInfo(HWND AHandle, LONG AObjectId, SCROLLBARINFO& AInfo, bool ARightToLeft,
                        const TdxScaleFactor* AScaleFactor) {
  if (!cxGetScrollBarInfo(AHandle, AObjectId, AInfo)) return false;
  if (!dxIsProcessPerMonitorV2Aware()) return true;
  TRect& r = AInfo.rcScrollBar;
  if (AObjectId == OBJID_HSCROLL) {
    r.Bottom = r.Top + dxGetSystemMetrics(SM_CYHSCROLL, AScaleFactor);
  } else if (AObjectId == OBJID_VSCROLL) {
    const int32_t width = dxGetSystemMetrics(SM_CXVSCROLL, AScaleFactor);
    if (ARightToLeft)
      r.Left = r.Right - width;
    else
      r.Right = r.Left + width;
  }
  return true;
}

namespace {
// R of AFrom's client area as seen from the window rectangle of AWnd.
TRect ContainerRectToWindow(TWinControl* AFrom, const TRect& R, HWND AWnd) {
  const TPoint origin = AFrom->ClientToScreen(TPoint{0, 0});
  RECT window{};
  GetWindowRect(AWnd, &window);
  return cxRectOffset(R, origin.X - window.Left, origin.Y - window.Top);
}
}  // namespace

TRect GetSizeGripRect(TcxContainer* AContainer) {
  TcxScrollBar* h = AContainer->HScrollBar();
  TcxScrollBar* v = AContainer->VScrollBar();
  if (!h || !v || !h->Visible() || !v->Visible() || !AContainer->HasInnerControlHandle() ||
      !AContainer->HandleAllocated())
    return TRect{};
  const TRect r{v->Left(), h->Top(), v->Left() + v->Width(), h->Top() + h->Height()};
  return ContainerRectToWindow(AContainer, r, AContainer->InnerControl()->Handle());
}

void cxFillSizeGrip(TcxContainer* AContainer, const TRect& R) {
  if (!AContainer->HasInnerControlHandle() || R.IsEmpty()) return;
  const HWND wnd = AContainer->InnerControl()->Handle();
  HDC dc = GetWindowDC(wnd);
  if (!dc) return;
  const DWORD layout = SetLayout(dc, 0);
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    TcxCanvas cxCanvas(&canvas);
    TcxCustomLookAndFeelPainter* painter = AContainer->Style()->LookAndFeel()->Painter();
    cxCanvas.FillRect(R, painter ? painter->DefaultSizeGripAreaColor() : clBtnFace);
    canvas.SetHandle(nullptr);
  }
  if (layout != static_cast<DWORD>(GDI_ERROR)) SetLayout(dc, layout);
  ReleaseDC(wnd, dc);
}

void cxSetScrollBarSystemScaleFactor(TcxScrollBar* AScrollBar) {
  if (dxIsProcessPerMonitorV2Aware()) return;
  if (TdxScaleFactor* system = dxSystemScaleFactor()) AScrollBar->GetScaleFactor()->Assign(system);
}

bool cxCanShowHint(TWinControl* AControl) {
  if (!Application || !Application->Active() || !AControl || !AControl->HandleAllocated() ||
      !IsWindowVisible(AControl->Handle()))
    return false;
  if (cxFindVCLControl(cxWindowFromPoint(GetMouseCursorPos())) != AControl) return false;
  // The root: up through child windows, stopping at an MDI child form.
  HWND root = AControl->Handle();
  while (IsChildClassWindow(root)) {
    if (auto* form = dynamic_cast<TCustomForm*>(FindControl(root)); form && form->FormStyle() == fsMDIChild)
      break;
    HWND parent = GetParent(root);
    if (!parent) break;
    root = parent;
  }
  auto* form = dynamic_cast<TCustomForm*>(FindControl(root));
  if (!form || form->Active() || form->FormStyle() == fsMDIForm) return true;
  // A form that shows a container popup keeps its hints while the popup is open.
  TcxPopupVisibleController* popups = cxPopupVisibleController();
  if (!popups->IsAnyVisible()) return false;
  TWinControl* owner = popups->Items(0)->OwnerControl();
  return owner && owner->HandleAllocated() && (owner->Handle() == root || IsChild(root, owner->Handle()));
}

// --- TcxContainerViewInfo --------------------------------------------------------------------------

void TcxContainerViewInfo::Assign(TObject* Source) {
  if (auto* src = dynamic_cast<TcxContainerViewInfo*>(Source)) ClientRect = src->ClientRect;
}

void TcxContainerViewInfo::Offset(int32_t DX, int32_t DY) {
  if (!FCalculated) return;
  BorderRect = cxRectOffset(BorderRect, DX, DY);
  Bounds = cxRectOffset(Bounds, DX, DY);
  ClientRect = cxRectOffset(ClientRect, DX, DY);
}

void TcxContainerViewInfo::UpdateStyle(TcxContainerStyle* AStyle) {
  Font = AStyle->Font();
  Painter = AStyle->LookAndFeel()->Painter();
  UseSkins = AStyle->LookAndFeel()->SkinPainter() != nullptr;
}

void TcxContainerViewInfo::DrawBorder(TcxCanvas* ACanvas, const TRect& R) {
  if (Painter) Painter->DrawContainerBorder(ACanvas, R, BorderStyle, BorderWidth, BorderColor, Edges);
}

void TcxContainerViewInfo::InternalPaint(TcxCanvas* ACanvas) {
  if (NativeStyle) {
    DrawNativeBackground(ACanvas);
    return;
  }
  TRect r = BorderRect;
  r.Left -= BorderWidth;
  r.Top -= BorderWidth;
  if (Edges.Contains(bRight)) r.Right += BorderWidth;
  if (Edges.Contains(bBottom)) r.Bottom += BorderWidth;
  if (Shadow) DrawContainerShadow(ACanvas, r);
  if (!Edges.Contains(bRight)) r.Right += BorderWidth;
  if (!Edges.Contains(bBottom)) r.Bottom += BorderWidth;
  DrawBorder(ACanvas, r);
  ACanvas->FillRect(BorderRect, FBackgroundColor);
}

void TcxContainerViewInfo::DrawNativeBackground(TcxCanvas* ACanvas) {
  // The theme's border is drawn as the frame around the theme content rectangle in the
  // background colour's place; without a theme the whole control is background.
  if (BorderStyle == cbsNone) {
    ACanvas->FillRect(Bounds, FBackgroundColor);
    return;
  }
  HTHEME theme = OpenTheme(ThemedObjectType);
  TRect content = Bounds;
  if (theme) GetThemeBackgroundContentRect(theme, ACanvas->Handle(), 1, NativeState, &Bounds, &content);
  ACanvas->FillRect(content, FBackgroundColor);
  TColor border = clBtnShadow;
  HTHEME borderTheme = OpenTheme(totComboBox);
  COLORREF c = 0;
  if (borderTheme && GetThemeColor(borderTheme, 1, 1, TMT_BORDERCOLOR, &c) == S_OK)
    border = static_cast<TColor>(c);
  InternalFillRect(ACanvas, Bounds, content, border);
}

// --- TcxContainer ----------------------------------------------------------------------------------

TcxContainer::TcxContainer(TComponent* AOwner, TcxContainerStyleClass AStyleClass) : TcxControl(AOwner) {
  FIsCreating = true;
  FStyles = std::make_unique<TcxContainerStyles>(this, AStyleClass);
  FStyles->SetOnChanged(TNotifyEvent(this, &TcxContainer::ContainerStyleChanged));
  FViewInfo = std::make_unique<TcxContainerViewInfo>();
  FViewInfo->Owner = this;
  // The control's own parts (its scroll bars) follow the normal style's look and feel.
  LookAndFeel()->SetMasterLookAndFeel(Style()->LookAndFeel());
  SetTabStop(true);
  SetParentColor(false);
  ContainerStyleChanged(Style());
  FIsCreating = false;
}

void TcxContainer::InitializeParentColor() {
  SetParentColor(DefaultParentColor() && !IsInplace() && !Style()->IsValueAssigned(svColor));
}

void TcxContainer::ReplaceViewInfo(TcxContainerViewInfo* AViewInfo) {
  FViewInfo.reset(AViewInfo);
  FViewInfo->Owner = this;
  ResetActiveStyleData();
}

TcxContainer::~TcxContainer() {
  Destroying();
  EndMouseTracking();
  SetInnerControl(nullptr);
  FStyles->SetOnChanged(nullptr);
  if (FNewWindowRegion) DeleteObject(FNewWindowRegion);
}

TcxContainerStyle* TcxContainer::ActiveStyle() {
  if (!FActiveStyleData.ActiveStyle || FActiveStyleData.ContainerState != FViewInfo->ContainerState) {
    FActiveStyleData.ContainerState = FViewInfo->ContainerState;
    FActiveStyleData.ActiveStyle = InternalGetActiveStyle();
  }
  return FActiveStyleData.ActiveStyle;
}

TcxContainerStyle* TcxContainer::InternalGetActiveStyle() {
  const TcxContainerState state = FViewInfo->ContainerState;
  if (state.Contains(csDisabled)) return StyleDisabled();
  if (state.Contains(csActive)) return StyleFocused();
  if (state.Contains(csHotTrack)) return StyleHot();
  return Style();
}

TFont* TcxContainer::GetVisibleFont() {
  return ActiveStyle()->GetVisibleFont();
}

bool TcxContainer::IsStylePropertyPublished(const String& APropertyName, bool AExtendedStyle) {
  if (AExtendedStyle && !Style()->IsExtendedStylePropertyPublished(APropertyName)) return false;
  TcxContainerStyleValue value;
  if (Style()->GetStyleValue(APropertyName, value))
    return !InternalGetNotPublishedStyleValues().Contains(value);
  return true;
}

void TcxContainer::SetInnerControl(TWinControl* Value) {
  if (FInnerControl == Value) return;
  if (FInnerControl) FInnerControl->RemoveFreeNotification(this);
  FInnerControl = Value;
  if (FInnerControl) FInnerControl->FreeNotification(this);
}

void TcxContainer::Notification(TComponent* AComponent, TOperation Operation) {
  TcxControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FInnerControl) FInnerControl = nullptr;
}

void TcxContainer::ContainerStyleChanged(TObject*) {
  ResetActiveStyleData();
  ++FInternalSetting;
  SetColor(Style()->GetStyleColor());
  if (Style()->Font()) {
    // The style's font reaches the window; the platform's parent-font link stays unless the
    // style assigns its own font.
    const bool parentFont = ParentFont();
    TcxControl::Font()->Assign(Style()->Font());
    if (parentFont && !Style()->AssignedValues().Contains(svFont)) SetParentFont(true);
  }
  --FInternalSetting;
  ShortRefreshContainer(false);
}

void TcxContainer::ColorChanged() {
  if (FInternalSetting == 0) Style()->SetColor(Color());
  TcxControl::ColorChanged();
}

void TcxContainer::CursorChanged() {
  TcxControl::CursorChanged();
  if (HasInnerControl()) FInnerControl->SetCursor(Cursor());
}

void TcxContainer::FontChanged() {
  TcxControl::FontChanged();
  if (FInternalSetting != 0 || !Style()->Font()) return;
  // A font from outside (the parent's, for instance) is taken into the style without marking
  // the style's font as assigned.
  ++FInternalSetting;
  Style()->LockFontAssignedValue(true);
  Style()->Font()->Assign(TcxControl::Font());
  Style()->LockFontAssignedValue(false);
  --FInternalSetting;
}

// -- Refresh cycle

bool TcxContainer::CanRefreshContainer() {
  return FRefreshLockCount == 0 && !FIsCreating && !IsDestroying() && !IsLoading() && HandleAllocated();
}

void TcxContainer::EndRefreshContainer() {
  if (FRefreshLockCount > 0) --FRefreshLockCount;
  ShortRefreshContainer(false);
}

void TcxContainer::ShortRefreshContainer(bool AIsMouseEvent) {
  TPoint p{-1, -1};
  TShiftState shift;
  if (CanRefreshContainer()) {
    TPoint cursor;
    GetCursorPos(&cursor);
    HWND wnd = WindowFromPoint(cursor);
    if (wnd && (wnd == Handle() || IsChildEx(Handle(), wnd))) p = ScreenToClient(cursor);
    shift = KeyboardStateToShiftState();
  }
  RefreshContainer(p, cxmbNone, shift, AIsMouseEvent);
}

bool TcxContainer::RefreshContainer(const TPoint& P, TcxMouseButton Button, TShiftState Shift,
                                    bool AIsMouseEvent) {
  FHasChanges = true;
  bool result = false;
  if (CanRefreshContainer()) {
    FHasChanges = false;
    ++FRefreshLockCount;
    result = DoRefreshContainer(P, Button, Shift, AIsMouseEvent);
    --FRefreshLockCount;
    if (AIsMouseEvent && FProcessEventsLockCount == 0) {
      ++FProcessEventsLockCount;
      try {
        DoProcessEventsOnViewInfoChanging();
      } catch (...) {
        --FProcessEventsLockCount;
        throw;
      }
      --FProcessEventsLockCount;
    }
  }
  FIsViewInfoCalculated = result && !FHasChanges;
  return result;
}

bool TcxContainer::DoRefreshContainer(const TPoint& P, TcxMouseButton, TShiftState Shift, bool) {
  const bool hotTrack = cxShiftStateMoveOnly(Shift) && ActiveStyle()->HotTrack();
  CalculateViewInfo(P, hotTrack);
  DoSetSize();
  AdjustInnerControl();
  UpdateWindowRegion();
  if (HasInnerControl())
    InternalInvalidate(Handle(), GetControlRect(this), FViewInfo->BorderRect, false, false);
  else {
    const TRect r = GetControlRect(this);
    RedrawWindow(Handle(), &r, nullptr, RDW_INVALIDATE);
  }
  if (FViewInfo->ContainerState.Contains(csHotTrack)) BeginMouseTracking(this, GetControlRect(this), this);
  return true;
}

TcxContainerState TcxContainer::CalculateContainerState(const TPoint& P, bool AHotTrack) {
  if (!Enabled()) return TcxContainerState{csDisabled};
  if (IsDesigning()) return TcxContainerState{csNormal};
  TcxContainerState state{IsContainerFocused() ? csActive : csNormal};
  if (AHotTrack && cxRectPtIn(GetVisibleBounds(), P)) state.Include(csHotTrack);
  return state;
}

void TcxContainer::CalculateViewInfo(const TPoint& P, bool AHotTrack) {
  TcxContainerViewInfo* vi = FViewInfo.get();
  vi->SetCalculated(true);
  vi->NativeStyle = IsNativeStyle();
  vi->UpdateStyle(Style());
  const int32_t oldWidth = GetContainerBorderWidth(vi->BorderStyle);
  auto calculateState = [&] {
    vi->ContainerState = CalculateContainerState(P, AHotTrack);
    TcxContainerStyle* active = ActiveStyle();
    vi->HotState = !active->HotTrack() ? chsNoHotTrack
                   : (vi->ContainerState.Contains(csActive) || vi->ContainerState.Contains(csHotTrack))
                       ? chsSelected
                       : chsNormal;
    if (vi->NativeStyle) {
      vi->BorderStyle = Style()->BorderStyle();
    } else {
      vi->BorderStyle = active->BorderStyle();
      // Their highlight is carried by the border colour.
      if (vi->BorderStyle == cbsUltraFlat || vi->BorderStyle == cbsOffice11) vi->BorderStyle = cbsSingle;
    }
  };
  calculateState();
  // The visible bounds depend on the border: a thinner one may change the hot state.
  if (!vi->NativeStyle && GetContainerBorderWidth(vi->BorderStyle) < oldWidth) calculateState();
  if (vi->NativeStyle) {
    vi->ThemedObjectType = GetBackgroundThemedObjectType();
    vi->NativePart = GetBackgroundNativePart();
    vi->NativeState = GetBackgroundNativeState();
  }
  vi->Bounds = GetControlRect(this);
  const TRect extent = GetBorderExtent();
  vi->BorderRect = TRect{vi->Bounds.Left + extent.Left, vi->Bounds.Top + extent.Top,
                         vi->Bounds.Right - extent.Right, vi->Bounds.Bottom - extent.Bottom};
  vi->ClientRect = vi->BorderRect;
  vi->BorderWidth = vi->Painter ? vi->Painter->GetContainerBorderWidth(vi->BorderStyle)
                                : GetContainerBorderWidth(vi->BorderStyle);
  vi->Edges = ActiveStyle()->Edges();
  vi->Shadow = HasShadow();
  vi->BorderColor = GetBorderColor();
  vi->SetBackgroundColor(GetBackgroundColor());
}

TRect TcxContainer::GetBorderExtent() {
  TcxContainerStyle* active = ActiveStyle();
  TRect r;
  if (active->TransparentBorder())
    r = cxContainerDefaultBorderExtent;
  else if (!active->HasBorder() || (FViewInfo->NativeStyle && Style()->BorderStyle() == cbsNone))
    r = TRect{};
  else if (FViewInfo->NativeStyle)
    r = cxContainerDefaultBorderExtent;
  else {
    const int32_t w = GetContainerBorderWidth(FViewInfo->BorderStyle);
    const TcxBorders edges = active->Edges();
    r = TRect{edges.Contains(bLeft) ? w : 0, edges.Contains(bTop) ? w : 0, edges.Contains(bRight) ? w : 0,
              edges.Contains(bBottom) ? w : 0};
  }
  if (HasShadow()) {
    r.Right += cxContainerShadowWidth;
    r.Bottom += cxContainerShadowWidth;
  }
  return r;
}

TRect TcxContainer::GetShadowBounds() {
  const TRect extent = GetBorderExtent();
  TRect r = FViewInfo->Bounds;
  r = TRect{r.Left + extent.Left, r.Top + extent.Top, r.Right - extent.Right, r.Bottom - extent.Bottom};
  const int32_t w = GetContainerBorderWidth(FViewInfo->BorderStyle);
  r = cxRectInflate(r, w, w);
  InflateRectByBorders(r, w, ActiveStyle()->Edges());
  return r;
}

TRect TcxContainer::GetVisibleBounds() {
  TRect r = GetControlRect(this);
  if (!IsInplace()) {
    if (FViewInfo->Shadow) {
      r.Right -= cxContainerShadowWidth;
      r.Bottom -= cxContainerShadowWidth;
    }
    if (Style()->HasBorder()) {
      if (FViewInfo->NativeStyle) {
        if (Style()->TransparentBorder() && FViewInfo->BorderStyle == cbsNone) r = cxRectInflate(r, -2, -2);
      } else if (Style()->TransparentBorder()) {
        const int32_t w = GetContainerBorderWidth(FViewInfo->BorderStyle);
        r = cxRectInflate(r, w - 2, w - 2);
        InflateRectByBorders(r, w, Style()->Edges());
      }
    } else if (Style()->TransparentBorder()) {
      r = cxRectInflate(r, -2, -2);
    }
  }
  if (r.Bottom < r.Top) r = TRect{r.Left, 0, r.Right, 0};
  return r;
}

bool TcxContainer::HasShadow() {
  return ActiveStyle()->Shadow() && !IsNativeStyle();
}

bool TcxContainer::CanHaveTransparentBorder() {
  return ActiveStyle()->TransparentBorder() && !(FViewInfo->NativeStyle && FViewInfo->BorderStyle != cbsNone);
}

bool TcxContainer::IsNativeStyle() {
  return Style()->LookAndFeel()->NativeStyle() && AreVisualStylesAvailable({GetBackgroundThemedObjectType()});
}

int32_t TcxContainer::GetBackgroundNativePart() {
  return 3;
}

int32_t TcxContainer::GetBackgroundNativeState() {
  if (!Enabled()) return 4;
  if (IsReadOnly()) return 6;
  if (Focused()) return 5;
  if (FViewInfo->ContainerState.Contains(csHotTrack)) return 2;
  return 1;
}

TColor TcxContainer::GetBackgroundColor() {
  return ActiveStyle()->Color();
}

TColor TcxContainer::GetBorderColor() {
  TcxContainerStyle* active = ActiveStyle();
  const TcxContainerState state = FViewInfo->ContainerState;
  const bool highlighted = state.Contains(csActive) || (state.Contains(csHotTrack) && active->HotTrack()) ||
                           (IsDesigning() && Enabled());
  if (FViewInfo->UseSkins && FViewInfo->Painter) {
    if (Style()->AssignedValues().Contains(svBorderColor) || active->AssignedValues().Contains(svBorderColor))
      return active->BorderColor();
    return FViewInfo->Painter->GetContainerBorderColor(highlighted);
  }
  const TcxContainerBorderStyle bs = active->BorderStyle();
  if (bs == cbsUltraFlat || bs == cbsOffice11) return GetContainerBorderColor(highlighted, bs == cbsOffice11);
  return active->BorderColor();
}

TRect TcxContainer::GetInnerControlNeededBounds() {
  TRect n = FViewInfo->ClientRect;
  if (!IsPopupScrollBars()) return n;
  // The library's bars float over the content: the inner control's own bars are pushed out of
  // the visible area, so the content gets the whole client rectangle.
  SCROLLBARINFO info{};
  if (IsScrollBarVisible(sbVertical, info)) {
    if (UseRightToLeftScrollBar())
      n.Left -= info.rcScrollBar.Width();
    else
      n.Right += info.rcScrollBar.Width();
  }
  if (IsScrollBarVisible(sbHorizontal, info))
    n.Bottom += info.rcScrollBar.Height();
  else if (dynamic_cast<TcxCustomInnerListBox*>(FInnerControl))
    n.Bottom += dxGetSystemMetrics(SM_CYHSCROLL, GetScaleFactor());
  return n;
}

void TcxContainer::DoSetSize() {
  if (!HasInnerControl() || !FViewInfo->Calculated()) return;
  const TRect n = GetInnerControlNeededBounds();
  if (FInnerControl->BoundsRect() != n) FInnerControl->SetBounds(n.Left, n.Top, n.Width(), n.Height());
  if (!IsPopupScrollBars()) return;
  // Moving the control can show or hide its own bars.
  const TRect again = GetInnerControlNeededBounds();
  if (again != n) FInnerControl->SetBounds(again.Left, again.Top, again.Width(), again.Height());
}

// -- Mirrored scroll bars

void TcxContainer::UpdateScrollBars() {
  if (UseInnerControlScrollBarParameters())
    SetScrollBarsParameters(false);
  else
    TcxControl::UpdateScrollBars();
}

void TcxContainer::UpdateScrollBarsParameters() {
  if (IsDestroying() || !HandleAllocated() || !HasInnerControl()) return;
  PostMessageW(Handle(), CM_UPDATESCROLLBARS, 0, 0);
}

bool TcxContainer::GetScrollBarInfo(SCROLLBARINFO& AInfo, TScrollBarKind AKind) {
  if (IsDestroying() || !Parent() || !HandleAllocated() || !HasInnerControlHandle()) return false;
  return cxGetScrollBarInfo(FInnerControl->Handle(), AKind == sbHorizontal ? OBJID_HSCROLL : OBJID_VSCROLL,
                            AInfo, UseRightToLeftScrollBar(), GetScaleFactor());
}

bool TcxContainer::IsScrollBarVisible(TScrollBarKind AKind, SCROLLBARINFO& AInfo) {
  return GetScrollBarInfo(AInfo, AKind) &&
         (AInfo.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) == 0 &&
         AInfo.rcScrollBar.Width() >= 1 && AInfo.rcScrollBar.Height() >= 1;
}

bool TcxContainer::GetScrollBarEnabled(TcxScrollBar*, const SCROLLBARINFO& AInfo) {
  return Enabled() && (AInfo.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
}

TRect TcxContainer::GetScrollBarBounds(const TRect& AScreenRect) {
  const TPoint tl = ScreenToClient(AScreenRect.TopLeft());
  const TRect r = Bounds(tl.X, tl.Y, AScreenRect.Width(), AScreenRect.Height());
  if (r.Left < 0 || r.Top < 0 || r.Width() > Width() || r.Height() > Height()) return TRect{};
  return r;
}

void TcxContainer::SetScrollBarVisible(TcxScrollBar* AScrollBar, bool AVisible) {
  AScrollBar->SetVisible(AVisible);
  if (!AVisible) return;
  AScrollBar->SetCtl3D(false);
  AScrollBar->BringToFront();
}

bool TcxContainer::GetStandardScrollBarParameters(TScrollBarKind AKind, SCROLLINFO& AInfo) {
  AInfo = SCROLLINFO{};
  AInfo.fMask = SIF_ALL;
  if (!HasInnerControlHandle() ||
      !GetScrollInfo(FInnerControl->Handle(), AKind == sbHorizontal ? SB_HORZ : SB_VERT, &AInfo))
    return false;
  return cxCutScrollPage(AInfo);
}

HWND TcxContainer::GetScrollBarHandle(TScrollBarKind AKind) {
  TcxScrollBar* bar = GetScrollBar(AKind);
  return bar && bar->HandleAllocated() ? bar->Handle() : nullptr;
}

void TcxContainer::AdjustScrollBarPosition(TcxScrollBar* AScrollBar) {
  SCROLLBARINFO info{};
  if (!IsScrollBarVisible(AScrollBar->Kind(), info)) {
    SetScrollBarVisible(AScrollBar, false);
    return;
  }
  AScrollBar->SetEnabled(GetScrollBarEnabled(AScrollBar, info));
  const TRect bounds = GetScrollBarBounds(info.rcScrollBar);
  cxSetScrollBarSystemScaleFactor(AScrollBar);
  AScrollBar->SetBoundsRect(bounds);
  SetScrollBarVisible(AScrollBar, bounds.Width() > 0 && bounds.Height() > 0);
}

void TcxContainer::AdjustScrollBarPositions() {
  // Floating bars lie in strips along the client rectangle's right and bottom edges.
  SCROLLBARINFO info{};
  const bool h = IsScrollBarVisible(sbHorizontal, info) && GetScrollBarEnabled(HScrollBar(), info);
  const bool v = IsScrollBarVisible(sbVertical, info) && GetScrollBarEnabled(VScrollBar(), info);
  const TRect c = FViewInfo->ClientRect;
  const TSize size = GetScrollBarSize();
  TRect hr{c.Left, c.Bottom - size.cy, c.Right - (v ? size.cx : 0), c.Bottom};
  TRect vr{c.Right - size.cx, c.Top, c.Right, c.Bottom - (h ? size.cy : 0)};
  if (UseRightToLeftScrollBar()) {
    hr = TRect{c.Left + c.Right - hr.Right, hr.Top, c.Left + c.Right - hr.Left, hr.Bottom};
    vr = TRect{c.Left + c.Right - vr.Right, vr.Top, c.Left + c.Right - vr.Left, vr.Bottom};
  }
  if (h) HScrollBar()->SetOwnerControlRelativeBounds(hr);
  if (v) VScrollBar()->SetOwnerControlRelativeBounds(vr);
  HScrollBar()->Data()->FVisible = h;
  VScrollBar()->Data()->FVisible = v;
  if (TcxControlWindowedScrollBars* bars = MainScrollBars())
    if (bars->SizeGrip()) bars->SizeGrip()->SetOwnerControlRelativeBounds(GetSizeGripBounds());
}

void TcxContainer::SetScrollBarsParameters(bool AIsScrolling) {
  if (!HasInnerControl() || !NeedsScrollBars() || IsDestroying() || !UsecxScrollBars() || !HScrollBar() ||
      !VScrollBar())
    return;
  FScrollBarsCalculating = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{FScrollBarsCalculating};
  const bool popup = IsPopupScrollBars();
  if (popup && !AIsScrolling) AdjustScrollBarPositions();
  for (TScrollBarKind kind : {sbHorizontal, sbVertical}) {
    TcxControlScrollBar* bar = GetScrollBar(kind);
    if (popup) {
      if (!bar->Data()->FVisible) {
        bar->ApplyData();
        continue;
      }
    } else {
      if (!AIsScrolling) AdjustScrollBarPosition(bar);
      if (!bar->Visible()) continue;
    }
    SCROLLINFO si{};
    if (!GetStandardScrollBarParameters(kind, si)) continue;
    if (kind == sbHorizontal && !UseSystemRightToLeftLayoutForInnerControl()) bar->SetBiDiMode(bdLeftToRight);
    if (!popup) {
      bar->SetScrollParams(si.nMin, si.nMax, si.nPos, static_cast<int32_t>(si.nPage), true);
      continue;
    }
    const bool visible = bar->Data()->FVisible;
    SetScrollBarInfo(kind, si.nMin, si.nMax, bar->SmallChange(), static_cast<int32_t>(si.nPage), si.nPos,
                     true, true);
    bar->Data()->FVisible = visible;
    bar->ApplyData();
  }
  if (popup) {
    if (TcxControlWindowedScrollBars* bars = MainScrollBars())
      bars->CheckSizeGripVisible(IsSizeGripVisible());
    return;
  }
  TcxContainerSizeGripData grip;
  grip.Visible = HScrollBar()->Visible() && VScrollBar()->Visible() && HasInnerControlHandle() &&
                 dynamic_cast<IcxContainerInnerControl*>(FInnerControl) != nullptr;
  if (grip.Visible) grip.Bounds = GetSizeGripRect(this);
  const bool repaint = grip.Visible && (!FSizeGripData.Visible || grip.Bounds != FSizeGripData.Bounds);
  FSizeGripData = grip;
  if (repaint) {
    HRGN region = CreateRectRgn(grip.Bounds.Left, grip.Bounds.Top, grip.Bounds.Right, grip.Bounds.Bottom);
    SendMessageW(FInnerControl->Handle(), WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
    DeleteObject(region);
  }
}

void TcxContainer::GetTabOrderList(std::vector<TWinControl*>& AList) {
  if (IsContainerClass()) {
    TcxControl::GetTabOrderList(AList);
    return;
  }
  TCustomForm* form = GetParentForm(this);
  if (!form || !HasInnerControl() || form->ActiveControl() != FInnerControl) return;
  std::replace(AList.begin(), AList.end(), static_cast<TWinControl*>(this), FInnerControl);
}

void TcxContainer::DestroyWnd() {
  if (HasInnerControlHandle()) dxForceProcessBufferedPaintMessages(FInnerControl);
  dxForceProcessBufferedPaintMessages(this);
  TcxControl::DestroyWnd();
}

void TcxContainer::WMWindowPosChanging(TMessage& Message) {
  if (IsDestroying()) {
    Message.Result = 0;
    return;
  }
  TcxControl::WndProc(Message);
  if (auto* pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
      pos && (pos->flags & SWP_NOSIZE) == 0 && (Align() == alRight || Align() == alBottom)) {
    // A size change that keeps the position keeps the aligned edge instead.
    const bool keepsPosition = (pos->flags & SWP_NOMOVE) != 0 || (pos->x == Left() && pos->y == Top());
    if (keepsPosition) {
      pos->x = Left();
      pos->y = Top();
      if (Align() == alRight) pos->x = Left() + Width() - pos->cx;
      if (Align() == alBottom) pos->y = Top() + Height() - pos->cy;
      pos->flags &= ~SWP_NOMOVE;
    }
  }
  if (HandleAllocated() && GetFocus() == Handle() && HasInnerControl() && FInnerControl->CanFocus() &&
      !FMovingFocus) {
    if (TCustomForm* form = GetParentForm(this)) {
      FMovingFocus = true;
      form->FocusControl(FInnerControl);
      FMovingFocus = false;
    }
  }
}

void TcxContainer::CMBiDiModeChanged(TMessage& Message) {
  // The window is not recreated for a new reading order (its styles do not depend on it
  // here); the container is laid out again instead, so that its parts follow the direction.
  const WPARAM saved = Message.WParam;
  Message.WParam = 1;
  TcxControl::WndProc(Message);
  Message.WParam = saved;
  if (saved == 0) ShortRefreshContainer(false);
}

void TcxContainer::AdjustInnerControl() {
  if (!HasInnerControl()) return;
  FInnerControl->SetColor(FViewInfo->BackgroundColor());
  if (auto* c = dynamic_cast<TControl*>(FInnerControl)) c->Font()->Assign(GetVisibleFont());
}

// -- Window region

HRGN TcxContainer::CreateWindowRegion() {
  const bool nativeBorder = FViewInfo->NativeStyle && FViewInfo->BorderStyle != cbsNone;
  const TRect bounds = GetShadowBounds();
  HRGN region = GetWindowShadowRegion(Handle(), bounds, GetShadowBoundsExtent(), TRect{}, FViewInfo->Shadow,
                                      nativeBorder);
  if (!region && CanHaveTransparentBorder())
    region = CreateRectRgn(bounds.Left, bounds.Top, bounds.Right, bounds.Bottom);
  if (region) {
    const TRect addon = GetWindowRegionAddon();
    if (!addon.IsEmpty()) {
      HRGN a = CreateRectRgn(addon.Left, addon.Top, addon.Right, addon.Bottom);
      CombineRgn(region, region, a, RGN_OR);
      DeleteObject(a);
    }
  }
  return region;
}

void TcxContainer::UpdateWindowRegion() {
  if (!HandleAllocated() || Width() <= 0 || Height() <= 0 || FInternalWindowRegionSetting) return;
  ++FUpdateWindowRegionCount;
  if (FNewWindowRegion) DeleteObject(FNewWindowRegion);
  FNewWindowRegion = CreateWindowRegion();
  SendMessageW(Handle(), DXM_UPDATEWINDOWREGION, 0, 0);
}

void TcxContainer::WMUpdateWindowRegion(TMessage&) {
  if (FUpdateWindowRegionCount > 0) --FUpdateWindowRegionCount;
  if (FUpdateWindowRegionCount != 0) return;
  FInternalWindowRegionSetting = true;
  HRGN region = FNewWindowRegion;
  FNewWindowRegion = nullptr;
  // A region the window refused stays pending until the next update.
  const bool applied = SetWindowRegion(Handle(), region, true);
  if (!applied) FNewWindowRegion = region;
  FInternalWindowRegionSetting = false;
}

// -- Painting and geometry

void TcxContainer::Paint() {
  TRect clip;
  GetClipBox(Canvas()->Handle(), &clip);
  if (!FIsViewInfoCalculated || cxRectIntersect(clip, FViewInfo->Bounds)) {
    if (!FIsViewInfoCalculated) ShortRefreshContainer(false);
    if (FViewInfo->Calculated()) FViewInfo->Paint(Canvas());
  }
  UpdateInternalControlsState();
}

void TcxContainer::Invalidate() {
  TcxControl::Invalidate();
  if (HasInnerControl()) FInnerControl->Invalidate();
}

void TcxContainer::Update() {
  TcxControl::Update();
  if (HasInnerControl()) FInnerControl->Update();
}

TRect TcxContainer::GetClientBounds() {
  return FViewInfo->ClientRect;
}

void TcxContainer::AdjustClientRect(TRect& Rect) {
  if (FViewInfo->Calculated() && !IsDestroying() && !IsLoading()) Rect = FViewInfo->ClientRect;
}

void TcxContainer::CreateParams(TCreateParams& Params) {
  TcxControl::CreateParams(Params);
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TcxContainer::CreateWindowHandle(const TCreateParams& Params) {
  // Window creation takes captions shorter than 64K characters only: a longer one is given
  // to the window afterwards.
  constexpr size_t kMaxCreateCaption = 65536;
  if (Params.Caption.size() < kMaxCreateCaption) {
    TcxControl::CreateWindowHandle(Params);
    return;
  }
  TCreateParams p = Params;
  p.Caption = String();
  TcxControl::CreateWindowHandle(p);
  if (HandleAllocated())
    DefWindowProcW(Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Params.Caption.c_str()));
}

// -- Focus, keys and mouse

bool TcxContainer::Focused() {
  if (IsDesigning() || !HandleAllocated()) return false;
  HWND focus = GetFocus();
  return focus && (focus == Handle() || (HasInnerControlHandle() && focus == FInnerControl->Handle()));
}

bool TcxContainer::MayFocus() {
  return !(HasInnerControlHandle() && GetFocus() == FInnerControl->Handle());
}

bool TcxContainer::CanFocusOnClick() {
  return TcxControl::CanFocusOnClick() && !(HasInnerControlHandle() && GetFocus() == FInnerControl->Handle());
}

void TcxContainer::SafeSelectionFocusInnerControl() {
  if (HasInnerControl() && FInnerControl->CanFocus()) FInnerControl->SetFocus();
}

void TcxContainer::SetFocus() {
  if (IsDesigning() || IsContainerFocused()) return;
  TcxControl::SetFocus();
  if (HasInnerControlHandle() && GetFocus() == Handle()) {
    SafeSelectionFocusInnerControl();
    if (TCustomForm* form = GetParentForm(this)) form->FocusControl(FInnerControl);
  }
}

void TcxContainer::DoContextPopup(TPoint MousePos, bool& Handled) {
  if (FPopupMenuLockCount > 0 || ((MousePos.X != -1 || MousePos.Y != -1) && !CanShowPopupMenu(MousePos))) {
    Handled = true;
    return;
  }
  TcxControl::DoContextPopup(MousePos, Handled);
}

void TcxContainer::GetInnerControlBounds(const TRect& R, TControl* AControl,
                                         TcxContainerInnerControlBounds& Bounds) {
  const TRect controlBounds = AControl->BoundsRect();
  TRect visible;
  cxRectIntersect(visible, R, controlBounds);
  Bounds.IsEmpty = visible == controlBounds;
  Bounds.Rect = cxRectOffset(visible, controlBounds.Left, controlBounds.Top, false);
}

void TcxContainer::AlignControls(TControl* AControl, TRect& Rect) {
  if (IsContainerClass()) {
    TcxControl::AlignControls(AControl, Rect);
    return;
  }
  if (FLockAlignControlsCount > 0 || !AControl) return;
  auto* winControl = dynamic_cast<TWinControl*>(AControl);
  if (FIsCreating || !winControl || !winControl->HandleAllocated()) return;
  TcxContainerInnerControlBounds bounds;
  GetInnerControlBounds(Rect, AControl, bounds);
  const bool changed = AControl != FInnerControl || bounds.IsEmpty != FInnerControlBounds.IsEmpty ||
                       (!bounds.IsEmpty && bounds.Rect != FInnerControlBounds.Rect);
  if (!changed) return;
  SetWindowRegion(winControl, bounds);
  FInnerControlBounds = bounds;
}

void TcxContainer::WMSetCursor(TMessage& Message) {
  if (reinterpret_cast<HWND>(Message.WParam) == Handle() && LOWORD(Message.LParam) == HTCLIENT) {
    const TPoint p = GetMouseCursorClientPos();
    if (!cxRectPtIn(FViewInfo->ClientRect, p)) {
      // Over the border.
      ::qd::SetCursor(Screen->Cursors(crArrow));
      Message.Result = 1;
      return;
    }
  }
  TcxControl::WndProc(Message);
}

void TcxContainer::KeyDown(WORD& Key, TShiftState Shift) {
  TcxControl::KeyDown(Key, Shift);
  if (Key != VK_TAB || !Focused() || Shift.Contains(ssAlt) || Shift.Contains(ssCtrl) ||
      !CanContainerHandleTabs())
    return;
  Key = 0;
  if (TCustomForm* form = GetParentForm(this)) {
    form->SelectNext(form->ActiveControl(), !Shift.Contains(ssShift), true);
    if (HandleAllocated() && GetFocus() == Handle()) SafeSelectionFocusInnerControl();
  }
}

void TcxContainer::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case DXM_UPDATEWINDOWREGION:
      WMUpdateWindowRegion(Message);
      return;
    case CM_SHORTREFRESHCONTAINER:
      ShortRefreshContainer(false);
      return;
    case CM_UPDATESCROLLBARS:
      SetScrollBarsParameters(false);
      return;
    case WM_WINDOWPOSCHANGING:
      WMWindowPosChanging(Message);
      return;
    case CM_BIDIMODECHANGED:
      CMBiDiModeChanged(Message);
      return;
    case WM_SETFOCUS:
      // A focus coming back from the inner control stays there.
      if (!Visible() ||
          (HasInnerControlHandle() && reinterpret_cast<HWND>(Message.WParam) == FInnerControl->Handle()))
        return;
      TcxControl::WndProc(Message);
      if (HasInnerControlHandle() && FInnerControl->CanFocus() && !FMovingFocus) {
        FMovingFocus = true;
        SafeSelectionFocusInnerControl();
        FMovingFocus = false;
      }
      return;
    case WM_KILLFOCUS:
      if (HasInnerControlHandle() && reinterpret_cast<HWND>(Message.WParam) == FInnerControl->Handle())
        return;
      break;
    case WM_SETCURSOR:
      WMSetCursor(Message);
      return;
    case WM_NCCALCSIZE:
      if (FRefreshLockCount > 0) {
        Message.Result = 0;
        return;
      }
      break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case CN_KEYDOWN:
    case CN_KEYUP:
    case CN_CHAR:
      if (HasInnerControlHandle()) {
        Message.Result = SendMessageW(FInnerControl->Handle(), Message.Msg, Message.WParam, Message.LParam);
        return;
      }
      break;
    case WM_DESTROY:
      FUpdateWindowRegionCount = 0;
      break;
    case WM_WINDOWPOSCHANGED:
      TcxControl::WndProc(Message);
      if (!IsDestroying() && !FInternalWindowRegionSetting) ShortRefreshContainer(false);
      return;
    default:
      break;
  }
  TcxControl::WndProc(Message);
}

void TcxContainer::EnabledChanged() {
  if (!Enabled() && Focused()) qd::SetFocus(nullptr);
  TcxControl::EnabledChanged();
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* bar = dynamic_cast<TcxScrollBar*>(Controls(i))) bar->SetEnabled(Enabled());
  ShortRefreshContainer(false);
}

void TcxContainer::FocusChanged() {
  TcxControl::FocusChanged();
  ShortRefreshContainer(false);
}

bool TcxContainer::IsMouseTracking() {
  return qd::IsMouseTracking(this);
}

void TcxContainer::EndMouseTracking() {
  if (!qd::IsMouseTracking(this)) return;
  qd::EndMouseTracking(this);
  MouseLeave(nullptr);
}

void TcxContainer::MouseEnter(TControl* AControl) {
  TcxControl::MouseEnter(AControl);
  ShortRefreshContainer(true);
  BeginMouseTracking(this, GetControlRect(this), this);
}

void TcxContainer::MouseLeave(TControl* AControl) {
  TcxControl::MouseLeave(AControl);
  ShortRefreshContainer(true);
  qd::EndMouseTracking(this);
}

namespace {
TcxMouseButton ButtonTocxButton(TMouseButton Button) {
  switch (Button) {
    case mbLeft:
      return cxmbLeft;
    case mbRight:
      return cxmbRight;
    default:
      return cxmbMiddle;
  }
}
}  // namespace

void TcxContainer::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxControl::MouseDown(Button, Shift, X, Y);
  if (IsMouseTracking()) RefreshContainer(TPoint{X, Y}, ButtonTocxButton(Button), Shift, true);
}

void TcxContainer::MouseMove(TShiftState Shift, int X, int Y) {
  TcxControl::MouseMove(Shift, X, Y);
  RefreshContainer(TPoint{X, Y}, cxmbNone, Shift, true);
  BeginMouseTracking(this, GetControlRect(this), this);
}

void TcxContainer::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxControl::MouseUp(Button, Shift, X, Y);
  RefreshContainer(TPoint{X, Y}, ButtonTocxButton(Button), Shift, true);
}

void TcxContainer::Resize() {
  TcxControl::Resize();
}

void TcxContainer::LockAlignControls(bool ALock) {
  if (ALock)
    ++FLockAlignControlsCount;
  else if (FLockAlignControlsCount > 0)
    --FLockAlignControlsCount;
}

void TcxContainer::LockPopupMenu(bool ALock) {
  if (ALock)
    ++FPopupMenuLockCount;
  else if (FPopupMenuLockCount > 0)
    --FPopupMenuLockCount;
}

// --- Unit start-up ---------------------------------------------------------------------------------

namespace cxContainer {
void Initialize() {
  SetUsecxScrollBars();
  // Style controllers are found with the controls when stored forms are read.
  GroupDescendentsWith(TcxStyleController::StaticClass(), TControl::StaticClass());
  if (!cxContainerDefaultStyleController) cxContainerDefaultStyleController = new TcxStyleController(nullptr);
}
void Finalize() {
  // Cleared first: styles still linked to it are unlinked instead of relinked to it.
  TcxStyleController* controller = cxContainerDefaultStyleController;
  cxContainerDefaultStyleController = nullptr;
  delete controller;
  FcxGetScrollBarInfoProc = nullptr;
}
}  // namespace cxContainer

}  // namespace qd
