// The drop-down editor and its popup window.
#include "ui/editors/cxDropDownEdit.h"
#include "ui/editors/cxDropDownEditComboBox.h"
#include "ui/editors/cxTextEditLookup.h"

#include <algorithm>

#include "platform/base/mathutil.h"
#include "platform/os/user.h"
#include "ui/controls/cxControlsWindowUtils.h"
#include "ui/controls/cxControlsWndProc.h"
#include "ui/editors/cxDropDownEditPopupEdit.h"
#include "ui/editors/cxEditConsts.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxCustomDropDownEditProperties)
QD_IMPLEMENT_CLASS(TcxDropDownEditProperties)
QD_IMPLEMENT_CLASS(TcxCustomDropDownEditData)
QD_IMPLEMENT_CLASS(TcxCustomDropDownEditViewData)
QD_IMPLEMENT_CLASS(TcxCustomEditPopupWindowViewInfo)
QD_IMPLEMENT_CLASS(TcxCustomEditPopupWindow)
QD_IMPLEMENT_CLASS(TcxCustomDropDownEdit)
QD_IMPLEMENT_CLASS(TcxEditPopupControlLookAndFeel)

namespace {

// The grip corner by (left of the editor, above it).
constexpr TdxCorner ASizeGripCornerMap[2][2] = {{coBottomRight, coTopRight}, {coBottomLeft, coTopLeft}};
constexpr TCursor ASizeCursorMap[] = {crDefault, crDefault, crSizeNWSE, crSizeNESW, crSizeNS, crSizeWE};
// The side of the square at a grip corner of a frame without a system panel.
constexpr int32_t cxPopupCornerSize = 10;

bool PtIn(const TRect& R, const TPoint& P) {
  return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

int32_t ScaleBetween(int32_t AValue, TdxScaleFactor* ATo, TdxScaleFactor* AFrom) {
  if (!ATo || !AFrom) return AValue;
  return MulDiv(MulDiv(AValue, ATo->Numerator(), ATo->Denominator()), AFrom->Denominator(),
                AFrom->Numerator());
}

}  // namespace

// --- TcxCustomDropDownEditProperties -----------------------------------------------------------

TcxCustomDropDownEditProperties::TcxCustomDropDownEditProperties(TPersistent* AOwner)
    : TcxCustomMaskEditProperties(AOwner), FButtonGlyph(std::make_unique<TdxSmartGlyph>()) {
  BeginUpdate();
  Buttons()->Add()->SetKind(bkDown);
  EndUpdate(false);
}

TcxCustomDropDownEditProperties::~TcxCustomDropDownEditProperties() = default;

TClass TcxCustomDropDownEditProperties::GetPopupWindowClass() {
  return TcxCustomEditPopupWindow::StaticClass();
}

TClass TcxCustomDropDownEditProperties::GetContainerClass() const {
  return TcxCustomDropDownEdit::StaticClass();
}

TClass TcxCustomDropDownEditProperties::GetViewDataClass() const {
  return TcxCustomDropDownEditViewData::StaticClass();
}

TcxEditSupportedOperations TcxCustomDropDownEditProperties::GetSupportedOperations() {
  TcxEditSupportedOperations result = TcxCustomMaskEditProperties::GetSupportedOperations();
  result.Exclude(esoEditingAutoHeight);
  return result;
}

void TcxCustomDropDownEditProperties::ChangeScale(int32_t M, int32_t D) {
  TcxCustomMaskEditProperties::ChangeScale(M, D);
  FPopupMinHeight = MulDiv(FPopupMinHeight, M, D);
  FPopupMinWidth = MulDiv(FPopupMinWidth, M, D);
  FPopupHeight = MulDiv(FPopupHeight, M, D);
  FPopupWidth = MulDiv(FPopupWidth, M, D);
}

void TcxCustomDropDownEditProperties::SetButtonGlyph(TdxSmartGlyph* Value) {
  FButtonGlyph->Assign(Value);
  UpdateButtons();
  Changed();
}

void TcxCustomDropDownEditProperties::SetKeepArrowButtonPressedWhenDroppedDown(bool Value) {
  if (FKeepArrowButtonPressedWhenDroppedDown == Value) return;
  FKeepArrowButtonPressedWhenDroppedDown = Value;
  Changed();
}

void TcxCustomDropDownEditProperties::SetPopupClientEdge(bool Value) {
  if (FPopupClientEdge == Value) return;
  FPopupClientEdge = Value;
  Changed();
}

void TcxCustomDropDownEditProperties::SetPopupSizeable(bool Value) {
  if (FPopupSizeable == Value) return;
  FPopupSizeable = Value;
  Changed();
}

void TcxCustomDropDownEditProperties::SetPopupSysPanelStyle(bool Value) {
  if (FPopupSysPanelStyle == Value) return;
  FPopupSysPanelStyle = Value;
  Changed();
}

TAlignment TcxCustomDropDownEditProperties::PopupAlignment() const {
  switch (FPopupHorzAlignment) {
    case pahCenter:
      return taCenter;
    case pahRight:
      return taRightJustify;
    default:
      return taLeftJustify;
  }
}

void TcxCustomDropDownEditProperties::SetPopupAlignment(TAlignment Value) {
  const TcxPopupAlignHorz value = Value == taCenter         ? pahCenter
                                  : Value == taRightJustify ? pahRight
                                                            : pahLeft;
  if (FPopupHorzAlignment == value) return;
  FPopupHorzAlignment = value;
  Changed();
}

void TcxCustomDropDownEditProperties::SetPopupHeight(int32_t Value) {
  FPopupHeight = std::max(Value, FPopupMinHeight);
}

void TcxCustomDropDownEditProperties::SetPopupWidth(int32_t Value) {
  FPopupWidth = Value < 0 ? 0 : Value > 0 ? std::max(Value, FPopupMinWidth) : 0;
}

void TcxCustomDropDownEditProperties::SetPopupMinHeight(int32_t Value) {
  FPopupMinHeight = std::max(0, Value);
  SetPopupHeight(FPopupHeight);
}

void TcxCustomDropDownEditProperties::SetPopupMinWidth(int32_t Value) {
  FPopupMinWidth = std::max(0, Value);
  SetPopupWidth(FPopupWidth);
}

void TcxCustomDropDownEditProperties::SetGlyphButtonIndex(int32_t AIndex) {
  TcxCustomEditButtons* buttons = Buttons();
  if (FGlyphButtonIndex >= 0 && FGlyphButtonIndex < buttons->Count()) {
    TcxCustomEditButton* old = buttons->Items(FGlyphButtonIndex);
    old->Glyph()->Clear();
    if (old->Kind() == bkGlyph) old->SetKind(FGlyphButtonIndex == 0 ? DefaultButtonKind() : bkEllipsis);
  }
  FGlyphButtonIndex = AIndex;
  if (AIndex >= 0 && AIndex < buttons->Count()) {
    TcxCustomEditButton* button = buttons->Items(AIndex);
    button->SetGlyph(FButtonGlyph.get());
    if (!FButtonGlyph->Empty()) button->SetKind(bkGlyph);
  }
}

void TcxCustomDropDownEditProperties::UpdateButtons() {
  const int32_t index = FGlyphButtonIndex;
  Buttons()->BeginUpdate();
  SetGlyphButtonIndex(-1);
  SetGlyphButtonIndex(index);
  Buttons()->EndUpdate();
}

void TcxCustomDropDownEditProperties::DoChanged() {
  LockUpdate(true);
  UpdateButtons();
  LockUpdate(false);
  TcxCustomMaskEditProperties::DoChanged();
}

void TcxCustomDropDownEditProperties::DoAssign(TcxCustomEditProperties* Source) {
  TcxCustomMaskEditProperties::DoAssign(Source);
  auto* source = dynamic_cast<TcxCustomDropDownEditProperties*>(Source);
  if (!source) return;
  FButtonGlyph->Assign(source->ButtonGlyph());
  FImmediateDropDownWhenKeyPressed = source->FImmediateDropDownWhenKeyPressed;
  FImmediateDropDownWhenActivated = source->FImmediateDropDownWhenActivated;
  FKeepArrowButtonPressedWhenDroppedDown = source->FKeepArrowButtonPressedWhenDroppedDown;
  FPopupAutoSize = source->FPopupAutoSize;
  FPopupClientEdge = source->FPopupClientEdge;
  FPopupDirection = source->FPopupDirection;
  FPopupHorzAlignment = source->FPopupHorzAlignment;
  FPopupSizeable = source->FPopupSizeable;
  FPopupSysPanelStyle = source->FPopupSysPanelStyle;
  FPopupVertAlignment = source->FPopupVertAlignment;
  FPostPopupValueOnTab = source->FPostPopupValueOnTab;
  TdxScaleFactor* own = ScaleFactor();
  TdxScaleFactor* theirs = source->ScaleFactor();
  FPopupMinHeight = ScaleBetween(source->FPopupMinHeight, own, theirs);
  FPopupMinWidth = ScaleBetween(source->FPopupMinWidth, own, theirs);
  FPopupHeight = ScaleBetween(source->FPopupHeight, own, theirs);
  FPopupWidth = ScaleBetween(source->FPopupWidth, own, theirs);
  SetOnClosePopup(source->OnClosePopup());
  OnCloseQuery = source->OnCloseQuery;
  OnCloseUp = source->OnCloseUp;
  OnInitPopup = source->OnInitPopup;
  OnPopup = source->OnPopup;
}

// --- TcxCustomDropDownEditViewData -------------------------------------------------------------

void TcxCustomDropDownEditViewData::Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                              TcxMouseButton Button, TShiftState Shift,
                                              TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) {
  auto* properties = dynamic_cast<TcxCustomDropDownEditProperties*>(Properties());
  KeepArrowButtonPressedWhenDroppedDown =
      (properties && properties->KeepArrowButtonPressedWhenDroppedDown()) || NativeStyle;
  TcxCustomTextEditViewData::Calculate(ACanvas, ABounds, P, Button, Shift, AViewInfo, AIsMouseEvent);
}

bool TcxCustomDropDownEditViewData::CanPressButton(TcxCustomEditViewInfo* AViewInfo,
                                                   int32_t AButtonVisibleIndex) {
  auto* properties = dynamic_cast<TcxCustomDropDownEditProperties*>(Properties());
  return !(IsHotAndPopup && properties && AButtonVisibleIndex == properties->DropDownButtonVisibleIndex());
}

bool TcxCustomDropDownEditViewData::IsButtonPressed(TcxCustomEditViewInfo* AViewInfo,
                                                    int32_t AButtonVisibleIndex) {
  if (TcxCustomTextEditViewData::IsButtonPressed(AViewInfo, AButtonVisibleIndex)) return true;
  auto* properties = dynamic_cast<TcxCustomDropDownEditProperties*>(Properties());
  return properties && AButtonVisibleIndex == properties->DropDownButtonVisibleIndex() &&
         KeepArrowButtonPressedWhenDroppedDown && (HasPopupWindow || IsHotAndPopup);
}

// --- TcxCustomEditPopupWindowViewInfo ----------------------------------------------------------

bool TcxCustomEditPopupWindowViewInfo::DrawCustomBorder(TcxCanvas* ACanvas, TRect& R, int32_t& ABorderWidth) {
  bool handled = false;
  ABorderWidth = 0;
  if (OnCustomDrawBorder) OnCustomDrawBorder(this, ACanvas, R, handled, ABorderWidth);
  return handled;
}

int32_t TcxCustomEditPopupWindowViewInfo::GetBorderWidth() {
  TRect r;
  int32_t width = 0;
  if (DrawCustomBorder(nullptr, r, width)) return width;
  return Painter ? Painter->GetEditPopupWindowBorderWidth(PopupBorderStyle) : 1;
}

int32_t TcxCustomEditPopupWindowViewInfo::GetClientEdgeWidth() {
  return Painter ? Painter->GetEditPopupWindowClientEdgeWidth(PopupBorderStyle) : 2;
}

int32_t TcxCustomEditPopupWindowViewInfo::GetSysPanelHeight() {
  const int32_t painterSize = Painter ? Painter->ScaledPopupPanelSize(ScaleFactor.get()) : 0;
  return std::max(painterSize, MinSysPanelHeight);
}

TRect TcxCustomEditPopupWindowViewInfo::GetBorderExtent() {
  const int32_t border = GetBorderWidth();
  TRect r{border, border, border, border};
  if (ClientEdge) {
    const int32_t edge = GetClientEdgeWidth();
    r = TRect{r.Left + edge, r.Top + edge, r.Right + edge, r.Bottom + edge};
  }
  if (Shadow) {
    const TRect s = GetShadowOffsets();
    r = TRect{r.Left + s.Left, r.Top + s.Top, r.Right + s.Right, r.Bottom + s.Bottom};
  }
  if (SysPanelStyle) {
    SysPanelHeight = GetSysPanelHeight();
    if (IsGripAtBottom())
      r.Bottom += SysPanelHeight;
    else
      r.Top += SysPanelHeight;
  } else {
    SysPanelHeight = 0;
  }
  if (ShowSearchInfoPanel && !IsSearchInfoPanelInClientRect()) r.Bottom += GetSearchInfoPanelHeight();
  return r;
}

TRect TcxCustomEditPopupWindowViewInfo::GetSysPanelBorders() {
  if (!(NativeStyle || PopupBorderStyle == epbsSingle || UseSkins)) return TRect{};
  return IsGripAtBottom() ? TRect{0, 1, 0, 0} : TRect{0, 0, 0, 1};
}

void TcxCustomEditPopupWindowViewInfo::DrawBorder(TcxCanvas* ACanvas, TRect& R) {
  int32_t width = 0;
  if (DrawCustomBorder(ACanvas, R, width)) {
    R = TRect{R.Left + width, R.Top + width, R.Right - width, R.Bottom - width};
    return;
  }
  if (Painter) Painter->DrawEditPopupWindowBorder(ACanvas, R, PopupBorderStyle, ClientEdge);
}

void TcxCustomEditPopupWindowViewInfo::InternalPaint(TcxCanvas* ACanvas) {
  TRect r = Bounds;
  if (Shadow) {
    const TRect s = GetShadowOffsets();
    r = TRect{r.Left + s.Left, r.Top + s.Top, r.Right - s.Right, r.Bottom - s.Bottom};
    DrawContainerShadow(ACanvas, r);
  }
  DrawBorder(ACanvas, r);
  if (ClientEdge) {
    const int32_t edge = GetClientEdgeWidth();
    TRect e{ClientRect.Left - edge, ClientRect.Top - edge, ClientRect.Right + edge, ClientRect.Bottom + edge};
    RECT er = e;
    DrawEdge(ACanvas->Handle(), &er, BDR_SUNKENOUTER, BF_RECT);
    if (!(!NativeStyle && PopupBorderStyle == epbsFlat)) {
      RECT inner{e.Left + 1, e.Top + 1, e.Right - 1, e.Bottom - 1};
      DrawEdge(ACanvas->Handle(), &inner, BDR_SUNKENINNER, BF_RECT);
    }
  }
  if (SysPanelStyle && Painter)
    Painter->DrawScaledPopupPanelBand(ACanvas, SysPanelBounds, SizeGripRect, CloseButtonRect, SizeGripCorner,
                                      CloseButtonState, GetSysPanelBorders(),
                                      Painter->GetContainerBorderColor(false), ScaleFactor.get(), Sizeable,
                                      ShowCloseButton);
  if (Painter) Painter->DrawWindowContent(ACanvas, ClientRect);
  if (ShowSearchInfoPanel) DrawSearchInfoPanel(ACanvas);
}

// --- TcxCustomEditPopupWindow ------------------------------------------------------------------

TcxCustomEditPopupWindow::TcxCustomEditPopupWindow(TWinControl* AOwnerControl, TClass AViewInfoClass)
    : TdxCustomIncrementalFilteringPopupWindow(
          AOwnerControl, AViewInfoClass ? AViewInfoClass : TcxCustomEditPopupWindowViewInfo::StaticClass()) {
  ViewInfo()->CloseButtonState = cxbsNormal;
  SetIsOwnerBoundsRTLDependent(true);
}

TcxCustomEditPopupWindow::~TcxCustomEditPopupWindow() = default;

TcxCustomDropDownEdit* TcxCustomEditPopupWindow::GetEdit() const {
  return dynamic_cast<TcxCustomDropDownEdit*>(OwnerControl());
}

bool TcxCustomEditPopupWindow::AcceptsAnySize() {
  TcxCustomDropDownEdit* edit = GetEdit();
  return edit && edit->ActiveProperties()->PopupWindowAcceptsAnySize();
}

void TcxCustomEditPopupWindow::SetPopupBorderStyle(TcxEditPopupBorderStyle Value) {
  FBorderStyle = Value;
  ViewInfo()->PopupBorderStyle = Value;
}
void TcxCustomEditPopupWindow::SetClientEdge(bool Value) {
  FClientEdge = Value;
  ViewInfo()->ClientEdge = Value;
}
void TcxCustomEditPopupWindow::SetCloseButton(bool Value) {
  FCloseButton = Value;
  ViewInfo()->ShowCloseButton = Value;
}
void TcxCustomEditPopupWindow::SetNativeStyle(bool Value) {
  FNativeStyle = Value;
  ViewInfo()->NativeStyle = Value;
}
void TcxCustomEditPopupWindow::SetShadow(bool Value) {
  FShadow = Value;
  ViewInfo()->Shadow = Value;
}
void TcxCustomEditPopupWindow::SetSizeable(bool Value) {
  FSizeable = Value;
  ViewInfo()->Sizeable = Value;
}
void TcxCustomEditPopupWindow::SetSysPanelStyle(bool Value) {
  FSysPanelStyle = Value;
  ViewInfo()->SysPanelStyle = Value;
}

TSize TcxCustomEditPopupWindow::GetMinSize() {
  const TRect e = ViewInfo()->GetClientExtent();
  TSize result{e.Left + e.Right, e.Top + e.Bottom};
  if (FSizeable && FSysPanelStyle) {
    TcxCustomEditPopupWindowViewInfo* vi = ViewInfo();
    const int32_t panel = vi->GetSysPanelHeight();
    TSize grip{panel, panel};
    if (vi->Painter) grip = vi->Painter->ScaledSizeGripSize(ScaleFactor());
    result.cx += panel + grip.cx + 10;
  }
  return result;
}

void TcxCustomEditPopupWindow::CalculateSize(TSize& ASize) {
  TcxCustomDropDownEdit* edit = GetEdit();
  ViewInfo()->SizeGripCorner = coBottomRight;
  const TRect owner = edit ? edit->GetPopupWindowOwnerControlBounds() : TRect{};
  SetOwnerBounds(owner);
  const TRect e = ViewInfo()->GetClientExtent();
  const TSize m = GetMinSize();
  TSize p{0, 0};
  if (edit) edit->GetPopupWindowClientPreferredSize(p);
  int32_t width = FPopupAutoSize ? e.Left + e.Right + p.cx : (FPopupWidth != 0 ? FPopupWidth : owner.Width());
  if (FSizeable && FMinWidth > 0) width = std::max(width, FMinWidth);
  int32_t height = FPopupAutoSize ? e.Top + e.Bottom + p.cy
                                  : (FPopupHeight > 0 ? FPopupHeight : std::max(FMinHeight, m.cy));
  if (FSizeable && FMinHeight > 0) height = std::max(height, FMinHeight);
  ASize = TSize{std::max(width, m.cx), std::max(height, m.cy)};
  if (ShowSearchInfoPanel()) ASize.cx = std::max(ASize.cx, ViewInfo()->GetSearchInfoPanelWidth());
}

void TcxCustomEditPopupWindow::CalculatePosition(const TSize& ASize, TPoint& APosition) {
  if (TcxCustomDropDownEdit* edit = GetEdit()) SetOwnerBounds(edit->GetPopupWindowOwnerControlBounds());
  TcxCustomPopupWindow::CalculatePosition(ASize, APosition);
  const TRect o = GetOwnerScreenBounds();
  const TRect w = GetDesktopWorkArea(APosition);
  const int32_t right = APosition.X + ASize.cx;
  const int32_t bottom = APosition.Y + ASize.cy;
  const bool left = (AlignHorz() == pahRight && right == o.Right && APosition.X > w.Left) ||
                    right == o.Left || (right == w.Right && APosition.X < o.Right);
  const bool above =
      (AlignVert() == pavBottom && APosition.Y + Height() == o.Bottom && APosition.Y > w.Top) ||
      bottom == o.Top || (bottom == w.Bottom && APosition.Y < o.Bottom);
  ViewInfo()->SizeGripCorner = ASizeGripCornerMap[left ? 1 : 0][above ? 1 : 0];
  if (above && FShadow) APosition.Y += cxEditShadowWidth;
}

void TcxCustomEditPopupWindow::CalculateViewInfo() {
  TcxCustomEditPopupWindowViewInfo* vi = ViewInfo();
  vi->UpdateStyle(Style());
  vi->Bounds = TRect{0, 0, Width(), Height()};
  TRect client = vi->Bounds;
  if (FShadow) {
    client.Right -= cxEditShadowWidth;
    client.Bottom -= cxEditShadowWidth;
  }
  const int32_t border = vi->GetBorderWidth();
  const TRect borders{border, border, border, border};
  if (FSysPanelStyle && vi->Painter) {
    vi->SysPanelHeight = vi->GetSysPanelHeight();
    vi->Painter->CalculateScaledPopupPanelClientRect(
        client, vi->SysPanelBounds, vi->SizeGripRect, vi->CloseButtonRect, vi->SizeGripCorner, borders,
        vi->GetSysPanelBorders(), ScaleFactor(), vi->SysPanelHeight, FCloseButton, FSizeable);
    vi->SizeGripSizingRect = TRect{};
    if (FSizeable) {
      TRect g = vi->SizeGripRect;
      const TRect& panel = vi->SysPanelBounds;
      if (vi->IsGripAtRight())
        g.Right = panel.Right;
      else
        g.Left = panel.Left;
      if (vi->IsGripAtBottom())
        g.Bottom = panel.Bottom;
      else
        g.Top = panel.Top;
      vi->SizeGripSizingRect = g;
    }
  } else {
    client = TRect{client.Left + border, client.Top + border, client.Right - border, client.Bottom - border};
    vi->SysPanelBounds = vi->SizeGripRect = vi->SizeGripSizingRect = vi->CloseButtonRect = TRect{};
    vi->SysPanelHeight = 0;
  }
  if (FClientEdge) {
    const int32_t edge = vi->GetClientEdgeWidth();
    client = TRect{client.Left + edge, client.Top + edge, client.Right - edge, client.Bottom - edge};
  }
  vi->SearchInfoPanelBounds = TRect{};
  if (ShowSearchInfoPanel()) {
    vi->SearchInfoPanelBounds = client;
    vi->SearchInfoPanelBounds.Top = client.Bottom - vi->GetSearchInfoPanelHeight();
    client.Bottom = vi->SearchInfoPanelBounds.Top;
  }
  vi->UseRightToLeftAlignment = UseRightToLeftAlignment();
  vi->ClientRect = client;
}

void TcxCustomEditPopupWindow::AdjustClientRect(TRect& Rect) {
  const TRect e = ViewInfo()->GetClientExtent();
  Rect = TRect{Rect.Left + e.Left, Rect.Top + e.Top, Rect.Right - e.Right, Rect.Bottom - e.Bottom};
}

void TcxCustomEditPopupWindow::RefreshPopupWindow() {
  TcxCustomDropDownEdit* edit = GetEdit();
  if (edit) SetOwnerBounds(edit->GetPopupWindowOwnerControlBounds());
  CalculateViewInfo();
  if (edit) edit->PositionPopupWindowChildren(ViewInfo()->ClientRect);
  if (HandleAllocated()) {
    InvalidateRect(Handle(), nullptr, TRUE);
    UpdateWindow(Handle());
  }
}

void TcxCustomEditPopupWindow::ResizePopupWindow(int32_t ALeft, int32_t ATop, int32_t AWidth,
                                                 int32_t AHeight) {
  TcxCustomDropDownEdit* edit = GetEdit();
  if (edit) edit->FPopupSizeChanged = true;
  SetBounds(ALeft, ATop, AWidth, AHeight);
  RefreshPopupWindow();
  if (edit) edit->StorePopupSize();
}

TSize TcxCustomEditPopupWindow::GetMaxVisualAreaSize() {
  const TRect o = GetOwnerScreenBounds();
  const TRect w = GetDesktopWorkArea(o.TopLeft());
  const int32_t shadow = FShadow ? cxEditShadowWidth : 0;
  TSize result;
  if (Direction() == pdVertical) {
    result.cx = w.Width();
    result.cy = std::max(w.Bottom - o.Bottom, o.Top - w.Top) + shadow;
  } else {
    result.cx = std::max(w.Right - o.Right, o.Left - w.Left) + shadow + 1;
    result.cy = w.Height();
  }
  const TRect e = ViewInfo()->GetClientExtent();
  result.cx -= e.Left + e.Right;
  result.cy -= e.Top + e.Bottom;
  return result;
}

bool TcxCustomEditPopupWindow::CanResize(int& NewWidth, int& NewHeight) {
  if (!TcxCustomPopupWindow::CanResize(NewWidth, NewHeight)) return false;
  if (!FSizeable || CheckSizeLocked() || (NewWidth == Width() && NewHeight == Height())) return true;
  const TSize m = GetMinSize();
  NewWidth = std::max({NewWidth, m.cx, FMinWidth});
  NewHeight = std::max({NewHeight, m.cy, FMinHeight});
  // Lookup content may correct the size (a list snaps to whole rows) or refuse it.
  TcxCustomDropDownEdit* edit = GetEdit();
  IcxTextEditLookupData* data = edit ? edit->GetILookupData() : nullptr;
  if ((NewWidth != Width() || NewHeight != Height()) && data &&
      edit->ActiveProperties()->IsLookupDataVisual()) {
    const TRect e = ViewInfo()->GetClientExtent();
    TSize client{NewWidth - e.Left - e.Right, NewHeight - e.Top - e.Bottom};
    const TSize maxSize = GetMaxVisualAreaSize();
    if (data->CanResizeVisualArea(client, maxSize.cy, maxSize.cx)) {
      NewWidth = std::max(client.cx + e.Left + e.Right, m.cx);
      NewHeight = std::max(client.cy + e.Top + e.Bottom, m.cy);
    } else {
      NewWidth = Width();
      NewHeight = Height();
    }
  }
  return true;
}

int32_t TcxCustomEditPopupWindow::GetHitTest(const TPoint& P) {
  TcxCustomEditPopupWindowViewInfo* vi = ViewInfo();
  if (FSysPanelStyle && FCloseButton && PtIn(vi->CloseButtonRect, P)) return cxPopupHitCloseButton;
  if (!FSizeable) return cxPopupHitNone;
  const bool mainDiagonal = vi->SizeGripCorner == coTopLeft || vi->SizeGripCorner == coBottomRight;
  const int32_t cornerCode = mainDiagonal ? cxPopupHitCornerNWSE : cxPopupHitCornerNESW;
  if (FSysPanelStyle) return PtIn(vi->SizeGripSizingRect, P) ? cornerCode : cxPopupHitNone;
  if (!PtIn(vi->Bounds, P) || PtIn(vi->ClientRect, P)) return cxPopupHitNone;
  const TRect& b = vi->Bounds;
  const int32_t cx = vi->IsGripAtRight() ? b.Right - cxPopupCornerSize : b.Left;
  const int32_t cy = vi->IsGripAtBottom() ? b.Bottom - cxPopupCornerSize : b.Top;
  if (PtIn(TRect{cx, cy, cx + cxPopupCornerSize, cy + cxPopupCornerSize}, P)) return cornerCode;
  const TRect& c = vi->ClientRect;
  if ((vi->IsGripAtBottom() && P.Y >= c.Bottom) || (!vi->IsGripAtBottom() && P.Y < c.Top))
    return cxPopupHitHorzEdge;
  if ((vi->IsGripAtRight() && P.X >= c.Right) || (!vi->IsGripAtRight() && P.X < c.Left))
    return cxPopupHitVertEdge;
  return cxPopupHitNone;
}

void TcxCustomEditPopupWindow::SetCloseButtonState(TcxButtonState AState) {
  TcxCustomEditPopupWindowViewInfo* vi = ViewInfo();
  if (vi->CloseButtonState == AState) return;
  vi->CloseButtonState = AState;
  if (HandleAllocated()) {
    const RECT r = vi->CloseButtonRect;
    InvalidateRect(Handle(), &r, FALSE);
  }
}

void TcxCustomEditPopupWindow::UpdateSysPanelState(const TPoint& P, TShiftState Shift) {
  const int32_t hit = GetHitTest(P);
  if (hit != cxPopupHitCloseButton)
    SetCloseButtonState(cxbsNormal);
  else
    SetCloseButtonState(Shift.Contains(ssLeft) ? cxbsPressed : cxbsHot);
  SetCursor(ASizeCursorMap[hit + 1]);
}

void TcxCustomEditPopupWindow::StartResize(const TPoint& P, int32_t AHitTest) {
  FCapturePoint = ClientToScreen(P);
  FCaptureBounds = BoundsRect();
  FSizingCapture = true;
  FSizingHitTest = AHitTest;
  FSizeFrameBounds = FCaptureBounds;
  if (HandleAllocated()) SetCapture(Handle());
  if (!FShowContentWhileResize) DrawSizeFrame(FCaptureBounds);
}

void TcxCustomEditPopupWindow::DoResize(const TPoint& P) {
  if (!FSizingCapture) return;
  TcxCustomEditPopupWindowViewInfo* vi = ViewInfo();
  const TPoint screen = ClientToScreen(P);
  const int32_t dx = screen.X - FCapturePoint.X;
  const int32_t dy = screen.Y - FCapturePoint.Y;
  const TRect start = FCaptureBounds;
  int width = start.Width();
  int height = start.Height();
  const bool corner = FSizingHitTest == cxPopupHitCornerNWSE || FSizingHitTest == cxPopupHitCornerNESW;
  if (corner || FSizingHitTest == cxPopupHitVertEdge) width += vi->IsGripAtRight() ? dx : -dx;
  if (corner || FSizingHitTest == cxPopupHitHorzEdge) height += vi->IsGripAtBottom() ? dy : -dy;
  if (!CanResize(width, height)) return;
  TRect r = start;
  if (vi->IsGripAtRight())
    r.Right = r.Left + width;
  else
    r.Left = r.Right - width;
  if (vi->IsGripAtBottom())
    r.Bottom = r.Top + height;
  else
    r.Top = r.Bottom - height;
  // The popup keeps overlapping the editor horizontally.
  const TRect o = GetOwnerScreenBounds();
  if (r.Left > o.Right - 1) r.Left = o.Right - 1;
  if (r.Right < o.Left + 1) r.Right = o.Left + 1;
  const TRect current = FShowContentWhileResize ? BoundsRect() : FSizeFrameBounds;
  if (r == current) return;
  if (FShowContentWhileResize)
    ResizePopupWindow(r.Left, r.Top, r.Width(), r.Height());
  else
    DrawSizeFrame(r);
}

void TcxCustomEditPopupWindow::EndResize(bool AApply) {
  if (!FSizingCapture) return;
  if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
  FSizingCapture = false;
  const TRect r = FSizeFrameBounds;
  DrawSizeFrame(TRect{});
  if (AApply && !FShowContentWhileResize && r != BoundsRect() && !r.IsEmpty())
    ResizePopupWindow(r.Left, r.Top, r.Width(), r.Height());
}

void TcxCustomEditPopupWindow::DrawSizeFrame(const TRect& R) {
  if (R.IsEmpty()) {
    FSizeFrame.reset();
    return;
  }
  FSizeFrameBounds = R;
  if (!FSizingCapture) return;
  if (!FSizeFrame) FSizeFrame = std::make_unique<TcxSizeFrame>(std::max(2, ViewInfo()->GetBorderWidth()));
  FSizeFrame->DrawSizeFrame(R);
}

void TcxCustomEditPopupWindow::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE && FSizingCapture) {
    EndResize(false);
    Key = 0;
    return;
  }
  TcxCustomPopupWindow::KeyDown(Key, Shift);
}

void TcxCustomEditPopupWindow::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxCustomPopupWindow::MouseDown(Button, Shift, X, Y);
  const TPoint p{X, Y};
  UpdateSysPanelState(p, Shift);
  const int32_t hit = GetHitTest(p);
  if (Button == mbLeft && hit >= cxPopupHitCornerNWSE) StartResize(p, hit);
}

void TcxCustomEditPopupWindow::MouseMove(TShiftState Shift, int X, int Y) {
  TcxCustomPopupWindow::MouseMove(Shift, X, Y);
  if (FSizingCapture)
    DoResize(TPoint{X, Y});
  else
    UpdateSysPanelState(TPoint{X, Y}, Shift);
}

void TcxCustomEditPopupWindow::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxCustomPopupWindow::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft) {
    if (FSizingCapture) {
      EndResize(true);
    } else if (ViewInfo()->CloseButtonState == cxbsPressed &&
               PtIn(ViewInfo()->CloseButtonRect, TPoint{X, Y}) && CloseQuery()) {
      if (TcxCustomDropDownEdit* edit = GetEdit()) edit->CloseUp(crUnknown);
      return;
    }
  }
  UpdateSysPanelState(TPoint{X, Y}, Shift);
}

void TcxCustomEditPopupWindow::MouseLeave(TControl* AControl) {
  if (FSizingCapture || !HandleAllocated()) return;
  TPoint pt;
  GetCursorPos(&pt);
  UpdateSysPanelState(ScreenToClient(pt), {});
}

void TcxCustomEditPopupWindow::Resize() {
  TcxCustomPopupWindow::Resize();
  if (HandleAllocated()) SetEditPopupWindowShadowRegion(this);
}

bool TcxCustomEditPopupWindow::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (Parent()) return TcxCustomPopupWindow::DoMouseWheel(Shift, WheelDelta, MousePos);
  TWinControl* owner = OwnerControl();
  return owner && owner->HandleAllocated() &&
         SendMessageW(owner->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(WheelDelta)),
                      MAKELPARAM(MousePos.X, MousePos.Y)) != 0;
}

void TcxCustomEditPopupWindow::DoClosing() {
  EndResize(false);
  FSizeFrame.reset();
  TcxCustomPopupWindow::DoClosing();
}

void TcxCustomEditPopupWindow::PopupWindowStyleChanged(TObject* Sender) {
  ViewInfo()->UpdateStyle(Style());
}

void TcxCustomEditPopupWindow::CreateParams(TCreateParams& Params) {
  TcxCustomPopupWindow::CreateParams(Params);
  if (FNativeStyle) Params.WindowClass.style |= CS_DROPSHADOW;
}

void TcxCustomEditPopupWindow::Popup(TWinControl* AFocusedControl) {
  TWinControl* owner = OwnerControl();
  if (TcxCustomDropDownEdit* edit = GetEdit();
      edit && (!owner->HandleAllocated() || !IsWindowVisible(owner->Handle())))
    edit->DoFinalizePopup();
  TcxCustomPopupWindow::Popup(AFocusedControl);
}

void TcxCustomEditPopupWindow::ModalCloseUp() {
  TcxCustomDropDownEdit* edit = GetEdit();
  if (!edit) {
    TcxCustomPopupWindow::ModalCloseUp();
    return;
  }
  edit->CloseUp(ModalResult() == mrOk ? crEnter : ModalResult() == mrCancel ? crCancel : crUnknown);
}

void TcxCustomEditPopupWindow::DoPopupControlKey(Char AKey) {
  if (TcxCustomDropDownEdit* edit = GetEdit(); edit && edit->ActiveProperties()->UseSearchControl())
    RefreshPopupWindow();
  const HWND focus = GetFocus();
  if (focus) SendMessageW(focus, WM_CHAR, AKey, 0);
}

void TcxCustomEditPopupWindow::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_POPUPCONTROLKEY) {
    if (Visible()) DoPopupControlKey(static_cast<Char>(Message.WParam));
    return;
  }
  TcxCustomPopupWindow::Dispatch(Message);
}

void SetEditPopupWindowShadowRegion(TcxCustomEditPopupWindow* APopupWindow) {
  if (!APopupWindow->HandleAllocated()) return;
  TcxCustomEditPopupWindowViewInfo* vi = APopupWindow->ViewInfo();
  TRect r{0, 0, APopupWindow->Width(), APopupWindow->Height()};
  if (!APopupWindow->NativeStyle() && APopupWindow->Shadow()) {
    TRect free;
    if (!vi->IsGripAtBottom()) {
      // The strip under the editor stays free of shadow for a popup above it.
      const TRect o = APopupWindow->GetOwnerScreenBounds();
      const TPoint origin = APopupWindow->ClientToScreen(TPoint{0, 0});
      free = TRect{o.Left - origin.X, r.Bottom - cxEditShadowWidth, o.Right - cxEditShadowWidth - origin.X,
                   r.Bottom};
    }
    HRGN region = GetWindowShadowRegion(APopupWindow->Handle(), r, vi->GetShadowOffsets(), free,
                                        APopupWindow->Shadow(), APopupWindow->NativeStyle());
    if (region) SetWindowRegion(APopupWindow->Handle(), region, true);
  }
}

// --- TcxEditPopupControlLookAndFeel ------------------------------------------------------------

TcxEditPopupControlLookAndFeel::TcxEditPopupControlLookAndFeel(TcxCustomDropDownEdit* AEdit)
    : TcxLookAndFeel(AEdit), FEdit(AEdit) {
  EditStyleChanged();
}

void TcxEditPopupControlLookAndFeel::EditStyleChanged() {
  TcxLookAndFeel* style = FEdit->Style()->LookAndFeel();
  const bool hasButtons = FEdit->ActiveProperties()->Buttons()->Count() > 0;
  const TcxLookAndFeelKind kind = FEdit->IsInplace() || hasButtons ? style->Kind() : lfStandard;
  const bool nativeStyle = FEdit->ViewInfo() ? FEdit->ViewInfo()->NativeStyle : style->NativeStyle();
  TcxLookAndFeelValues changed;
  if (kind != FKind) changed.Include(lfvKind);
  if (nativeStyle != FNativeStyle) changed.Include(lfvNativeStyle);
  if (style->SkinName() != FSkinName) changed.Include(lfvSkinName);
  if (style->ScrollbarMode() != FScrollbarMode) changed.Include(lfvScrollbarMode);
  FKind = kind;
  FNativeStyle = nativeStyle;
  FSkinName = style->SkinName();
  FScrollbarMode = style->ScrollbarMode();
  if (!changed.Empty()) MasterLookAndFeelChanged(this, changed);
}

// --- TcxCustomDropDownEdit ---------------------------------------------------------------------

TcxCustomDropDownEdit::TcxCustomDropDownEdit(TComponent* AOwner, bool AIsInplace)
    : TcxCustomMaskEdit(AOwner, AIsInplace) {}

TcxCustomDropDownEdit::~TcxCustomDropDownEdit() {
  if (HasPopupWindow()) CloseUp(crUnknown);
  DestroyPopupWindow();
  FPopupControlsLookAndFeel.reset();
}

void TcxCustomDropDownEdit::PopupControlsLookAndFeelChangedHandler(TcxLookAndFeel* Sender,
                                                                   TcxLookAndFeelValues AChangedValues) {
  PopupControlsLookAndFeelChanged(Sender);
}

void TcxCustomDropDownEdit::AfterConstruction() {
  TcxCustomMaskEdit::AfterConstruction();
  if (!ComponentState().Contains(csDesigning)) CreatePopupWindow();
}

TcxEditPopupControlLookAndFeel* TcxCustomDropDownEdit::PopupControlsLookAndFeel() {
  if (!FPopupControlsLookAndFeel && !ComponentState().Contains(csDestroying)) {
    FPopupControlsLookAndFeel = std::make_unique<TcxEditPopupControlLookAndFeel>(this);
    FPopupControlsLookAndFeel->SetOnChanged(
        TcxLookAndFeelChangedEvent(this, &TcxCustomDropDownEdit::PopupControlsLookAndFeelChangedHandler));
  }
  return FPopupControlsLookAndFeel.get();
}

TcxCustomEditPopupWindow* TcxCustomDropDownEdit::PopupWindow() {
  if (!FPopupWindow && !ComponentState().Contains(csDesigning) && !ComponentState().Contains(csDestroying))
    CreatePopupWindow();
  return FPopupWindow;
}

void TcxCustomDropDownEdit::CreatePopupWindow() {
  if (FPopupWindow) return;
  TClass cls = ActiveProperties()->GetPopupWindowClass();
  if (cls == TcxCustomEditPopupWindow::StaticClass() || !cls)
    FPopupWindow = new TcxCustomEditPopupWindow(this);
  else
    FPopupWindow = static_cast<TcxCustomEditPopupWindow*>(cls->Create(this));
  FPopupWindow->SetCaptureFocus(IsPopupWindowCaptureFocus());
  FPopupWindow->SetIsTopMost(!IsInplace());
  FPopupWindow->Style()->LookAndFeel()->SetMasterLookAndFeel(Style()->LookAndFeel());
  FPopupWindow->SetBiDiMode(BiDiMode());
  FPopupWindow->OnCloseQuery = TCloseQueryEvent(this, &TcxCustomDropDownEdit::PopupWindowCloseQuery);
  FPopupWindow->OnClosed = TNotifyEvent(this, &TcxCustomDropDownEdit::PopupWindowClosed);
  FPopupWindow->OnClosing = TNotifyEvent(this, &TcxCustomDropDownEdit::PopupWindowClosing);
  FPopupWindow->OnBeforeClosing = TNotifyEvent(this, &TcxCustomDropDownEdit::PopupWindowBeforeClosing);
  FPopupWindow->OnShowed = TNotifyEvent(this, &TcxCustomDropDownEdit::PopupWindowShowed);
  FPopupWindow->OnShowing = TNotifyEvent(this, &TcxCustomDropDownEdit::PopupWindowShowing);
}

void TcxCustomDropDownEdit::DestroyPopupWindow() {
  if (!FPopupWindow) return;
  FPopupWindow->OnCloseQuery = nullptr;
  FPopupWindow->OnClosed = nullptr;
  FPopupWindow->OnClosing = nullptr;
  FPopupWindow->OnBeforeClosing = nullptr;
  FPopupWindow->OnShowed = nullptr;
  FPopupWindow->OnShowing = nullptr;
  LockCMActivateMessages(true);
  TcxCustomEditPopupWindow* popup = FPopupWindow;
  FPopupWindow = nullptr;
  delete popup;
  LockCMActivateMessages(false);
}

bool TcxCustomDropDownEdit::HasPopupWindow() {
  return FPopupWindow && FPopupWindow->IsVisible();
}

bool TcxCustomDropDownEdit::IsContainerFocused() {
  return TcxCustomMaskEdit::IsContainerFocused() || HasPopupWindow();
}

bool TcxCustomDropDownEdit::IsPopupWindowShowing() {
  if (!FPopupWindow || !FPopupWindow->HandleAllocated()) return false;
  MSG msg;
  return PeekMessageW(&msg, FPopupWindow->Handle(), CM_SHOWPOPUPWINDOW, CM_SHOWPOPUPWINDOW, PM_NOREMOVE) != 0;
}

void TcxCustomDropDownEdit::SetDroppedDown(bool Value) {
  if (Value == DroppedDown()) return;
  if (!Value)
    CloseUp(crUnknown);
  else if (!IsPopupWindowShowing())
    DropDown();
}

bool TcxCustomDropDownEdit::IsVisibleForPosition() {
  return Parent() && Parent()->Visible() && Visible() && Left() != 30000;
}

void TcxCustomDropDownEdit::StorePosition() {
  FCachedPosition = IsVisibleForPosition() ? TPoint{Left(), Top()} : cxInvisiblePoint;
}

void TcxCustomDropDownEdit::DoInitPopup() {
  if (FPopupInitialized) return;
  FPopupInitialized = true;
  try {
    TcxCustomDropDownEditProperties* own = Properties();
    if (own->OnInitPopup) own->OnInitPopup(this);
    if (RepositoryItem() && ActiveProperties() != own && ActiveProperties()->OnInitPopup)
      ActiveProperties()->OnInitPopup(this);
  } catch (...) {
    FPopupInitialized = false;
    throw;
  }
  if (IcxTextEditLookupData* data = GetILookupData()) data->DropDown();
}

void TcxCustomDropDownEdit::DoFinalizePopup() {
  if (!FPopupInitialized) return;
  FPopupInitialized = false;
  if (IcxTextEditLookupData* data = GetILookupData()) data->CloseUp();
  TcxCustomDropDownEditProperties* own = Properties();
  if (own->OnFinalizePopup) own->OnFinalizePopup(this);
  if (RepositoryItem() && ActiveProperties() != own && ActiveProperties()->OnFinalizePopup)
    ActiveProperties()->OnFinalizePopup(this);
}

void TcxCustomDropDownEdit::DoPopup() {
  FCloseUpReason = crUnknown;
  FCloseUpReasonSet = false;
  TcxCustomDropDownEditProperties* own = Properties();
  if (own->OnPopup) own->OnPopup(this);
  if (RepositoryItem() && ActiveProperties() != own && ActiveProperties()->OnPopup)
    ActiveProperties()->OnPopup(this);
}

void TcxCustomDropDownEdit::DoCloseUp() {
  DoClosePopup(FCloseUpReason);
  TcxCustomDropDownEditProperties* own = Properties();
  if (own->OnCloseUp) own->OnCloseUp(this);
  if (RepositoryItem() && ActiveProperties() != own && ActiveProperties()->OnCloseUp)
    ActiveProperties()->OnCloseUp(this);
}

void TcxCustomDropDownEdit::PopupWindowCloseQuery(TObject* Sender, bool& CanClose) {
  TcxCustomDropDownEditProperties* own = Properties();
  if (own->OnCloseQuery) own->OnCloseQuery(this, CanClose);
  if (RepositoryItem() && ActiveProperties() != own && ActiveProperties()->OnCloseQuery)
    ActiveProperties()->OnCloseQuery(this, CanClose);
}

TWinControl* TcxCustomDropDownEdit::GetPopupFocusedControl() {
  IcxTextEditLookupData* data = GetILookupData();
  if (data && ActiveProperties()->IsLookupDataVisual() && IsPopupWindowCaptureFocus())
    if (auto* control = dynamic_cast<TWinControl*>(data->GetActiveControl())) return control;
  return InnerEdit() ? InnerEdit()->GetControl() : nullptr;
}

bool TcxCustomDropDownEdit::CanInitializeLookupData() {
  return GetILookupData() && !ComponentState().Contains(csDesigning) &&
         ActiveProperties()->IsLookupDataVisual();
}

void TcxCustomDropDownEdit::InitializeLookupData() {
  if (CanInitializeLookupData() && PopupWindow()) GetILookupData()->Initialize(PopupWindow());
}

void TcxCustomDropDownEdit::PositionPopupWindowChildren(const TRect& AClientRect) {
  if (IcxTextEditLookupData* data = GetILookupData()) data->PositionVisualArea(AClientRect);
}

bool TcxCustomDropDownEdit::GetScrollLookupDataList(TcxEditScrollCause) {
  return !PropertiesChangeLocked();
}

bool TcxCustomDropDownEdit::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (TcxCustomMaskEdit::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  IcxTextEditLookupData* data = GetILookupData();
  if (!GetScrollLookupDataList(escMouseWheel) || !HasPopupWindow() || !data || data->IsEmpty()) return false;
  TControl* control = data->GetActiveControl();
  if (auto* list = dynamic_cast<TcxCustomEditListBox*>(control)) {
    list->DoMouseWheel(Shift, WheelDelta, MousePos);
  } else if (auto* window = dynamic_cast<TWinControl*>(control); window && window->HandleAllocated()) {
    SendMessageW(window->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(WheelDelta)),
                 MAKELPARAM(MousePos.X, MousePos.Y));
  }
  return true;
}

int32_t TcxCustomDropDownEdit::GetPopupHeight() {
  auto* data = dynamic_cast<TcxCustomDropDownEditData*>(EditData());
  if (IsInplace() && ActiveProperties()->PopupSizeable() && data) return data->Height;
  return ScaleBetween(ActiveProperties()->PopupHeight(), ScaleFactor(), ActiveProperties()->ScaleFactor());
}

int32_t TcxCustomDropDownEdit::GetPopupWidth() {
  auto* data = dynamic_cast<TcxCustomDropDownEditData*>(EditData());
  if (IsInplace() && ActiveProperties()->PopupSizeable() && data) return data->Width;
  return ScaleBetween(ActiveProperties()->PopupWidth(), ScaleFactor(), ActiveProperties()->ScaleFactor());
}

TRect TcxCustomDropDownEdit::GetPopupWindowOwnerControlBounds() {
  TRect r{0, 0, Width(), Height()};
  if (IsInplace() && !ContentParams.ExternalBorderBounds.IsEmpty()) r = ContentParams.ExternalBorderBounds;
  if (ViewInfo() && ViewInfo()->Shadow) r.Right += cxEditShadowWidth;
  const TPoint origin = IsVisibleForPosition() ? TPoint{Left(), Top()} : FCachedPosition;
  return TRect{r.Left + origin.X, r.Top + origin.Y, r.Right + origin.X, r.Bottom + origin.Y};
}

void TcxCustomDropDownEdit::InitializePopupWindow() {
  TcxCustomDropDownEditProperties* p = ActiveProperties();
  TcxCustomEditPopupWindow* w = FPopupWindow;
  w->SetOwnerParent(Parent());
  w->SetDirection(p->PopupDirection());
  TcxPopupAlignHorz horz = p->PopupHorzAlignment();
  if (UseRightToLeftAlignment()) horz = TdxRightToLeftLayoutConverter::ConvertPopupAlignHorz(horz);
  w->SetAlignHorz(horz);
  w->SetAlignVert(p->PopupVertAlignment());
  w->SetClientEdge(p->PopupClientEdge());
  w->SetMinHeight(ScaleBetween(p->PopupMinHeight(), ScaleFactor(), p->ScaleFactor()));
  w->SetMinWidth(ScaleBetween(p->PopupMinWidth(), ScaleFactor(), p->ScaleFactor()));
  w->SetPopupAutoSize(p->PopupAutoSize());
  w->SetShowSearchInfoPanel(NeedSearchInfoPanelShow());
  w->SetSizeable(p->PopupSizeable());
  w->SetSysPanelStyle(p->PopupSysPanelStyle());
  w->SetPopupWidth(GetPopupWidth());
  w->SetPopupHeight(GetPopupHeight());
  w->SetCloseButton(static_cast<TcxCustomEditStyle*>(ActiveStyle())->PopupCloseButton());
  if (ViewInfo()) {
    w->SetPopupBorderStyle(ViewInfo()->PopupBorderStyle);
    w->SetNativeStyle(ViewInfo()->NativeStyle);
    w->SetShadow(ViewInfo()->Shadow);
  }
  w->Style()->SetFont(Style()->GetVisibleFont());
  if (p->UseSearchControl()) w->SetModalMode(false);
}

bool TcxCustomDropDownEdit::NeedSearchInfoPanelShow() {
  TcxCustomDropDownEditProperties* p = ActiveProperties();
  if (p->IsLookupEdit() || !p->IncrementalFiltering() || !p->UseLookupData()) return false;
  IcxTextEditLookupData* data = GetILookupData();
  return data && data->IsEmpty();
}

void TcxCustomDropDownEdit::SetupPopupWindow() {
  if (!FPopupWindow) return;
  FPopupWindow->SetCaptureFocus(IsPopupWindowCaptureFocus());
  // A popup that leaves the focus in the editor must not become the active window either.
  FPopupWindow->SetShowWithoutActivation(!FPopupWindow->CaptureFocus());
  InitializeLookupData();
  InitializePopupWindow();
  FPopupWindow->LockCheckSize();
  try {
    TSize size{FPopupWindow->Width(), FPopupWindow->Height()};
    FPopupWindow->CalculateSize(size);
    TPoint position;
    FPopupWindow->CalculatePosition(size, position);
    FPopupWindow->CorrectBoundsWithDesktopWorkArea(position, size);
    FPopupWindow->SetBounds(position.X, position.Y, size.cx, size.cy);
  } catch (...) {
    FPopupWindow->UnLockCheckSize();
    throw;
  }
  FPopupWindow->UnLockCheckSize();
  FPopupWindow->RefreshPopupWindow();
  PositionPopupWindowChildren(FPopupWindow->ViewInfo()->ClientRect);
  SetEditPopupWindowShadowRegion(FPopupWindow);
  if (TCustomForm* form = GetParentForm(this)) {
    FPopupWindow->SetAlphaBlend(false);
    FPopupWindow->SetAlphaBlend(form->AlphaBlend());
    FPopupWindow->SetAlphaBlendValue(form->AlphaBlendValue());
  }
}

void TcxCustomDropDownEdit::DropDown() {
  if (!HandleAllocated() || !IsWindowVisible(Handle()) || !PopupWindow()) return;
  StorePosition();
  DoInitPopup();
  if (!CanDropDown()) {
    DoFinalizePopup();
    return;
  }
  SetupPopupWindow();
  FPopupWindow->HandleNeeded();
  FPopupWindow->SetPopupFocusedControl(GetPopupFocusedControl());
  PostMessageW(FPopupWindow->Handle(), CM_SHOWPOPUPWINDOW, 0, 0);
}

void TcxCustomDropDownEdit::PopupWindowShowed(TObject* Sender) {
  FPopupWindow->CalculateViewInfo();
  PositionPopupWindowChildren(FPopupWindow->ViewInfo()->ClientRect);
  DoPopup();
  UpdateDrawValue();
  ShortRefreshContainer(false);
  IcxTextEditLookupData* data = GetILookupData();
  if (data && ActiveProperties()->UseLookupData() && FindSelection() &&
      ActiveProperties()->ImmediateDropDownWhenKeyPressed() && IsPopupWindowCaptureFocus())
    data->DroppedDown(GetDisplayText().substr(0, static_cast<size_t>(std::max(SelStart(), 0))));
}

void TcxCustomDropDownEdit::CloseUp(TcxEditCloseUpReason AReason) {
  if (!HasPopupWindow()) return;
  if (!FCloseUpReasonSet) {
    FCloseUpReason = AReason;
    FCloseUpReasonSet = true;
  }
  LockChangeEvents(true);
  try {
    const bool accepting = AReason == crTab || AReason == crClose || AReason == crEnter;
    // The selection in the popup becomes the editor's item.
    if (accepting)
      if (IcxTextEditLookupData* data = GetILookupData()) {
        const Variant prevKey = data->GetCurrentKey();
        LockClick(true);
        try {
          data->SelectItem();
        } catch (...) {
          LockClick(false);
          throw;
        }
        LockClick(false);
        if (ModifiedAfterEnter() && !InternalVarEqualsExact(prevKey, data->GetCurrentKey())) DoClick();
      }
    if (accepting && !ActiveProperties()->GetAlwaysPostEditValue() && ActiveProperties()->ImmediatePost() &&
        CanPostEditValue())
      InternalPostEditValue(true);
  } catch (...) {
    LockChangeEvents(false);
    throw;
  }
  LockChangeEvents(false);
  if (FPopupWindow) FPopupWindow->CloseUp();
}

void TcxCustomDropDownEdit::PopupWindowClosed(TObject* Sender) {
  DoFinalizePopup();
  if (ActiveProperties()->GetEditingStyle() == esFixedList) ShortRefreshContainer(false);
  DoCloseUp();
  FCloseUpReasonSet = false;
  LockChangeEvents(true);
  try {
    if (ActiveProperties()->GetAlwaysPostEditValue() && ActiveProperties()->ImmediatePost() &&
        CanPostEditValue() && InternalValidateEdit())
      InternalPostEditValue(false);
  } catch (...) {
    LockChangeEvents(false);
    throw;
  }
  LockChangeEvents(false);
  ShortRefreshContainer(false);
  const bool buttonHeld = (GetAsyncKeyState(VK_LBUTTON) | GetAsyncKeyState(VK_RBUTTON)) < 0;
  if (!(HandleAllocated() && ViewInfo() && ViewInfo()->PressedButton < 0) && !buttonHeld)
    FIsHotAndPopup = false;
  else if (!buttonHeld)
    FIsHotAndPopup = false;
}

void TcxCustomDropDownEdit::StorePopupSize() {
  if (!FPopupWindow || !ActiveProperties()->PopupSizeable()) return;
  const int32_t w = FPopupWindow->Width();
  const int32_t h = FPopupWindow->Height();
  if (IsInplace()) {
    if (auto* data = dynamic_cast<TcxCustomDropDownEditData*>(EditData())) {
      data->Initialized = true;
      data->Width = w;
      data->Height = h;
    }
  } else {
    TcxCustomDropDownEditProperties* p = ActiveProperties();
    p->SetPopupWidth(ScaleBetween(w, p->ScaleFactor(), ScaleFactor()));
    p->SetPopupHeight(ScaleBetween(h, p->ScaleFactor(), ScaleFactor()));
  }
}

void TcxCustomDropDownEdit::InitializeEditData() {
  if (auto* data = dynamic_cast<TcxCustomDropDownEditData*>(EditData())) {
    data->Initialized = false;
    data->Width =
        ScaleBetween(ActiveProperties()->PopupWidth(), ScaleFactor(), ActiveProperties()->ScaleFactor());
    data->Height =
        ScaleBetween(ActiveProperties()->PopupHeight(), ScaleFactor(), ActiveProperties()->ScaleFactor());
  }
}

void TcxCustomDropDownEdit::InitializeViewData(TcxCustomEditViewData* AViewData) {
  TcxCustomMaskEdit::InitializeViewData(AViewData);
  if (auto* data = dynamic_cast<TcxCustomDropDownEditViewData*>(AViewData)) {
    data->HasPopupWindow = HasPopupWindow();
    data->IsHotAndPopup = FIsHotAndPopup;
  }
}

void TcxCustomDropDownEdit::DoEditKeyDown(WORD& Key, TShiftState Shift) {
  const bool alt = Shift.Contains(ssAlt);
  if (((Key == VK_UP || Key == VK_DOWN) && alt) || (Key == VK_F4 && !alt)) {
    if (HasPopupWindow())
      CloseUp(crClose);
    else
      DropDown();
    Key = 0;
    return;
  }
  if ((Key == VK_RETURN || Key == VK_ESCAPE) && !alt && HasPopupWindow()) {
    SetIsPopupWindowJustClosed(true);
    const WORD key = Key;
    if (key == VK_RETURN)
      CloseUp(DoEditing() ? crEnter : crCancel);
    else
      CloseUp(crCancel);
    if (!HasPopupWindow()) {
      Key = 0;
      if (key == VK_ESCAPE && GetCapture()) ReleaseCapture();
      return;
    }
  }
  TcxCustomMaskEdit::DoEditKeyDown(Key, Shift);
}

void TcxCustomDropDownEdit::DoEditKeyPress(Char& Key) {
  if (Key >= u' ' && ActiveProperties()->ImmediateDropDownWhenKeyPressed() && !HasPopupWindow()) {
    DropDown();
    if (FPopupWindow && FPopupWindow->CaptureFocus() && Key != u'\r' && CanDropDown() &&
        GetPopupFocusedControl() && FPopupWindow->HandleAllocated()) {
      PostMessageW(FPopupWindow->Handle(), CM_POPUPCONTROLKEY, Key, 0);
      Key = 0;
      return;
    }
  }
  TcxCustomMaskEdit::DoEditKeyPress(Key);
}

void TcxCustomDropDownEdit::DoEditProcessTab(TShiftState Shift) {
  if (HasPopupWindow() && ActiveProperties()->PostPopupValueOnTab()) CloseUp(crTab);
  TcxCustomMaskEdit::DoEditProcessTab(Shift);
}

bool TcxCustomDropDownEdit::TabsNeeded() {
  return TcxCustomMaskEdit::TabsNeeded() || (HasPopupWindow() && ActiveProperties()->PostPopupValueOnTab());
}

bool TcxCustomDropDownEdit::IsEditorKey(WORD Key, TShiftState Shift) {
  return TcxCustomMaskEdit::IsEditorKey(Key, Shift) ||
         (IsInplace() && HasPopupWindow() &&
          (Shift.Contains(ssAlt) || Shift.Contains(ssCtrl) || IsSysKey(Key)));
}

void TcxCustomDropDownEdit::DoButtonDown(int32_t AButtonVisibleIndex) {
  if (AButtonVisibleIndex == ActiveProperties()->DropDownButtonVisibleIndex()) DropDown();
}

void TcxCustomDropDownEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxCustomMaskEdit::MouseDown(Button, Shift, X, Y);
  if (FIsActivatingByMouse || Button != mbLeft || !ActiveProperties()->DropDownOnClick() ||
      HasPopupWindow() || FIsHotAndPopup || !Focused() || !ViewInfo())
    return;
  if (PtIn(ViewInfo()->ClientRect, TPoint{X, Y})) DropDown();
}

bool TcxCustomDropDownEdit::DoRefreshContainer(const TPoint& P, TcxMouseButton Button, TShiftState Shift,
                                               bool AIsMouseEvent) {
  const bool result = TcxCustomMaskEdit::DoRefreshContainer(P, Button, Shift, AIsMouseEvent);
  if (HasPopupWindow() && ViewInfo() && ViewInfo()->ContainerState.Contains(csActive) &&
      (GetAsyncKeyState(VK_LBUTTON) < 0) && ViewInfo()->PressedButton < 0)
    CloseUp(crUnknown);
  if (AIsMouseEvent && !(Button == cxmbRight && Shift.Contains(ssRight)))
    FIsHotAndPopup = HasPopupWindow() && ViewInfo() && ViewInfo()->IsHotTrack();
  if (FPopupControlsLookAndFeel) FPopupControlsLookAndFeel->EditStyleChanged();
  return result;
}

void TcxCustomDropDownEdit::DoExit() {
  CloseUp(crUnknown);
  TcxCustomMaskEdit::DoExit();
}

void TcxCustomDropDownEdit::FocusChanged() {
  if (!IsPopupWindowCaptureFocus() && InnerEdit() && !InnerEdit()->GetControl()->Focused())
    CloseUp(crUnknown);
  TcxCustomMaskEdit::FocusChanged();
}

void TcxCustomDropDownEdit::DestroyWnd() {
  if (FPopupWindow) {
    CloseUp(crUnknown);
    DoFinalizePopup();
    if (FPopupWindow->HandleAllocated()) FPopupWindow->DestroyHandle();
  }
  TcxCustomMaskEdit::DestroyWnd();
}

void TcxCustomDropDownEdit::WndProc(TMessage& Message) {
  if (Message.Msg == CM_HINTSHOW && HasPopupWindow()) {
    Message.Result = 1;
    return;
  }
  TcxCustomMaskEdit::WndProc(Message);
}

void TcxCustomDropDownEdit::PropertiesChanged(TObject* Sender) {
  if (!ActiveProperties()->PopupSizeable()) FPopupSizeChanged = false;
  if (HasPopupWindow()) SetupPopupWindow();
  TcxCustomMaskEdit::PropertiesChanged(Sender);
}

void TcxCustomDropDownEdit::ContainerStyleChanged(TObject* Sender) {
  TcxCustomMaskEdit::ContainerStyleChanged(Sender);
  if (FPopupControlsLookAndFeel && HandleAllocated()) FPopupControlsLookAndFeel->EditStyleChanged();
}

TcxContainerStyleValues TcxCustomDropDownEdit::InternalGetNotPublishedStyleValues() {
  TcxContainerStyleValues result = TcxCustomMaskEdit::InternalGetNotPublishedStyleValues();
  for (TcxContainerStyleValue v = 10; v <= 13; ++v) result.Exclude(v);
  return result;
}

namespace cxDropDownEdit {

namespace {
int gUnitCounter = 0;
}  // namespace

// The drop-down family's editor kinds.
void Initialize() {
  if (gUnitCounter++ > 0) return;
  cxDropDownEditComboBox::Initialize();
  RegisterClass(TcxPopupEdit::StaticClass());
  GetRegisteredEditProperties()->Register(TcxPopupEditProperties::StaticClass(),
                                          cxGetResourceString(scxSEditRepositoryPopupItem));
}

void Finalize() {
  if (gUnitCounter == 0 || --gUnitCounter > 0) return;
  if (TcxRegisteredClasses* registered = GetRegisteredEditProperties())
    registered->Unregister(TcxPopupEditProperties::StaticClass());
  UnRegisterClass(TcxPopupEdit::StaticClass());
  cxDropDownEditComboBox::Finalize();
}

}  // namespace cxDropDownEdit

}  // namespace qd
