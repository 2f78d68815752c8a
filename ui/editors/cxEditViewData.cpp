// The editor view data: container state, border, colours, error icon, the layout and states
// of the embedded buttons, and the measuring of editors.
#include <algorithm>

#include "platform/os/user.h"
#include "platform/os/uxtheme.h"
#include "ui/controls/cxControlScrollBars.h"
#include "ui/controls/cxControlsWindowUtils.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxThemeManager.h"
#include "ui/editors/cxEdit.h"
#include "ui/graphics/cxGraphicsImages.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersBitmaps.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxCustomEditViewData)

namespace {

// Default content offsets: stand-alone, in-place.
constexpr TRect kEditContentDefaultOffsets[2] = {TRect{1, 1, 1, 3}, TRect{1, 1, 1, 1}};

// The button style by editor border style, and by look-and-feel kind for the rest.
constexpr TcxEditButtonStyle kEditViewButtonStyles[] = {btsSimple, btsHotFlat,   bts3D,      btsFlat,
                                                        bts3D,     btsUltraFlat, btsOffice11};
constexpr TcxEditButtonStyle kEditViewInplaceButtonStyles[] = {btsFlat, bts3D, btsUltraFlat, btsOffice11};

// The popup border by editor border style, and by look-and-feel kind.
constexpr TcxEditPopupBorderStyle kEditViewDefaultPopupBorderStyles[] = {
    epbsFlat, epbsSingle, epbsSingle, epbsFlat, epbsSingle, epbsSingle, epbsSingle};
constexpr TcxEditPopupBorderStyle kEditViewInplacePopupBorderStyles[] = {epbsFlat, epbsFrame3D, epbsSingle,
                                                                         epbsSingle};

// Native button state by edit button state.
constexpr int32_t kEditViewNativeButtonStates[] = {4, 1, 3, 2};

TcxEditBorderStyle EditViewCorrectBorderStyle(TcxEditBorderStyle AStyle) {
  return AStyle == cbsUltraFlat || AStyle == cbsOffice11 ? cbsSingle : AStyle;
}

TcxCustomEditStyle* EditViewBaseStyle(TcxCustomEditStyle* AStyle) {
  auto* parent = static_cast<TcxCustomEditStyle*>(AStyle->ParentStyle());
  return parent ? parent : AStyle;
}

// The margins of a theme's content rectangle within a 100 x 100 rectangle.
TRect EditViewThemeContentMargins(HTHEME ATheme, int32_t APart, int32_t AState) {
  const TRect r{0, 0, 100, 100};
  TRect content = r;
  GetThemeBackgroundContentRect(ATheme, nullptr, APart, AState, &r, &content);
  return TRect{content.Left, content.Top, 100 - content.Right, 100 - content.Bottom};
}

TRect EditViewDeflate(const TRect& R, const TRect& AExtent) {
  return TRect{R.Left + AExtent.Left, R.Top + AExtent.Top, R.Right - AExtent.Right,
               R.Bottom - AExtent.Bottom};
}

}  // namespace

// --- Creation ----------------------------------------------------------------------------------

TcxCustomEditViewData::TcxCustomEditViewData(TcxCustomEditProperties* AProperties)
    : FProperties(AProperties) {}

TcxCustomEditViewData::~TcxCustomEditViewData() = default;

void TcxCustomEditViewData::Setup(TcxCustomEditStyle* AStyle, bool AIsInplace) {
  FStyle = AStyle;
  FIsInplace = AIsInplace;
  Initialize();
  SelTextColor = clDefault;
  SelBackgroundColor = clDefault;
  InitCacheData();
}

void TcxCustomEditViewData::Initialize() {
  ContentOffset = TRect{};
  Enabled = true;
}

void TcxCustomEditViewData::InitCacheData() {
  ButtonVisibleCount = FProperties->Buttons()->VisibleCount();
  IsValueSource = FProperties->GetEditValueSource(false) == evsValue;
  HorzAlignment = FProperties->Alignment()->Horz();
  VertAlignment = FProperties->Alignment()->Vert();
  NativeStyle = FStyle && IsNativeStyle(FStyle->LookAndFeel());
  InitEditContentParams(EditContentParams);
}

TRect TcxCustomEditViewData::GetEditContentDefaultOffsets() {
  return kEditContentDefaultOffsets[FIsInplace ? 1 : 0];
}

void TcxCustomEditViewData::InitEditContentParams(TcxEditContentParams& AParams) {
  AParams.Offsets = GetEditContentDefaultOffsets();
  AParams.SizeCorrection.cx = 3 - AParams.Offsets.Left - AParams.Offsets.Right;
  AParams.SizeCorrection.cy =
      NativeStyle ? GetNativeInnerTextEditContentHeightCorrection(FProperties, FIsInplace) : 0;
  AParams.ExternalBorderBounds = TRect{};
  AParams.Options = TcxEditContentOptions{ecoOffsetButtonContent};
}

bool TcxCustomEditViewData::IsNativeStyle(TcxLookAndFeel* ALookAndFeel) {
  return ALookAndFeel && ALookAndFeel->NativeStyle() && AreVisualStylesAvailable({totEdit});
}

TcxEditPaintOptions TcxCustomEditViewData::CalculatePaintOptions() {
  TcxEditPaintOptions result = PaintOptions;
  const TRect& external = EditContentParams.ExternalBorderBounds;
  if (external != TRect{}) result.Include(epoHasExternalBorder);
  if (EditContentParams.Options.Contains(ecoShowFocusRectWhenInplace))
    result.Include(epoShowFocusRectWhenInplace);
  return result;
}

bool TcxCustomEditViewData::InternalFocused() {
  return FEdit ? (!FProperties->IsEditValueConversionDependOnFocused() || FEdit->Focused()) : Focused;
}

// --- Calculation ---------------------------------------------------------------------------------

void TcxCustomEditViewData::CalculateEx(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                        TcxMouseButton Button, TShiftState Shift,
                                        TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) {
  AViewInfo->Left = ABounds.Left;
  AViewInfo->Top = ABounds.Top;
  const TRect bounds = cxRectOffset(ABounds, -ABounds.Left, -ABounds.Top);
  const TPoint p{P.X - ABounds.Left, P.Y - ABounds.Top};
  Calculate(ACanvas, bounds, p, Button, Shift, AViewInfo, AIsMouseEvent);
}

void TcxCustomEditViewData::Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                      TcxMouseButton Button, TShiftState Shift,
                                      TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) {
  for (TShiftStateItem item : {ssShift, ssAlt, ssCtrl, ssTouch, ssPen}) Shift.Exclude(item);
  const int32_t previousBorderWidth = GetContainerBorderWidth(AViewInfo->EditBorderStyle);
  CalculateContainerState(ABounds, P, Button, Shift, AViewInfo, AIsMouseEvent);
  // The visible bounds depend on the border: a thinner one may change the hot state.
  if (!FIsInplace && !NativeStyle &&
      GetContainerBorderWidth(AViewInfo->EditBorderStyle) < previousBorderWidth)
    CalculateContainerState(ABounds, P, Button, Shift, AViewInfo, AIsMouseEvent);
  AViewInfo->BorderStyle = AViewInfo->EditBorderStyle;
  ContainerState = AViewInfo->ContainerState;
  AViewInfo->EditProperties = FProperties;
  AViewInfo->ScaleFactor()->Assign(&FScaleFactor);
  AViewInfo->UseRightToLeftAlignment = UseRightToLeftAlignment;

  if (FIsInplace)
    ButtonsOnlyStyle =
        ABounds.Right != cxEditMeasuringBoundsSize && FProperties->ButtonsViewStyle() != bvsNormal;
  else
    ButtonsOnlyStyle = FProperties->ButtonsViewStyle() == bvsButtonsOnly;

  AViewInfo->UpdateStyle(FStyle);
  AViewInfo->Bounds = ABounds;
  AViewInfo->Enabled = Enabled;
  AViewInfo->Focused = Focused;
  AViewInfo->HasBackground = FEdit && FEdit->HasBackground();
  AViewInfo->HasInnerEdit = FEdit && FEdit->InnerControl() && FEdit->InnerControl()->Visible();
  AViewInfo->IsDBEditPaintCopyDrawing = false;
  AViewInfo->IsContainerInnerControl = false;
  AViewInfo->IsDesigning = IsDesigning;
  AViewInfo->IsInplace = FIsInplace;
  AViewInfo->IsSelected = IsSelected;
  AViewInfo->PaintOptions = CalculatePaintOptions();
  AViewInfo->Edges = FStyle->Edges();

  FValidationErrorIconAlignment = FProperties->ValidationErrorIconAlignment();
  if (UseRightToLeftAlignment)
    FValidationErrorIconAlignment =
        FValidationErrorIconAlignment == taLeftJustify ? taRightJustify : taLeftJustify;
  if (!FIsInplace && FEdit) {
    TcxEditValidateInfo* errorData = AViewInfo->ErrorData();
    errorData->SetErrorType(FEdit->ValidationError() ? eetError : eetNone);
    errorData->SetErrorText(FEdit->ValidationErrorText());
  }
  AViewInfo->SetNeedShowErrorIcon(NeedShowErrorIcon(AViewInfo));

  AViewInfo->Font = FStyle->DirectAccessMode() ? FStyle->Font() : FStyle->GetVisibleFont();
  AViewInfo->Shadow = !FIsInplace && HasShadow();
  AViewInfo->WindowHandle = WindowHandle;

  CalculateViewInfo(AViewInfo);
  TRect editorBounds = AViewInfo->EditorBounds();
  CalculateButtonsViewInfo(ACanvas, editorBounds, P, Button, Shift, AViewInfo, AIsMouseEvent);
  AViewInfo->ClientRect = EditViewDeflate(AViewInfo->EditorBounds(), GetClientExtent(ACanvas, AViewInfo));
  if (FEdit && FEdit->InnerControl())
    AViewInfo->InnerEditRect = FEdit->InnerControl()->BoundsRect();
  else
    AViewInfo->InnerEditRect = AViewInfo->ClientRect;

  AViewInfo->PopupBorderStyle = FStyle->PopupBorderStyle();
  if (AViewInfo->PopupBorderStyle == epbsDefault && FEdit) {
    if (FIsInplace)
      AViewInfo->PopupBorderStyle = kEditViewInplacePopupBorderStyles[FStyle->LookAndFeel()->Kind()];
    else if (FStyle->HasBorder() || ButtonVisibleCount == 0)
      AViewInfo->PopupBorderStyle = kEditViewDefaultPopupBorderStyles[AViewInfo->EditBorderStyle];
    else
      AViewInfo->PopupBorderStyle = kEditViewInplacePopupBorderStyles[FEdit->Style()->LookAndFeel()->Kind()];
  }
  CheckStartButtonsFading(AViewInfo);
}

TcxContainerState TcxCustomEditViewData::GetContainerState(const TRect& ABounds, const TPoint& P,
                                                           TcxMouseButton, TShiftState Shift, bool) {
  if (!Enabled) return TcxContainerState{csDisabled};
  if (IsDesigning) return TcxContainerState{csNormal};
  TcxContainerState result{Focused ? csActive : csNormal};
  const TRect visible = FEdit ? FEdit->GetVisibleBounds() : EditViewDeflate(ABounds, ContentOffset);
  const bool captured = FEdit && FEdit->HandleAllocated() && GetCapture() == FEdit->Handle();
  if (cxRectPtIn(visible, P) && (cxShiftStateMoveOnly(Shift) || captured)) result.Include(csHotTrack);
  return result;
}

void TcxCustomEditViewData::CalculateContainerState(const TRect& ABounds, const TPoint& P,
                                                    TcxMouseButton Button, TShiftState Shift,
                                                    TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) {
  const TcxContainerState state = GetContainerState(ABounds, P, Button, Shift, AIsMouseEvent);
  AViewInfo->ContainerState = state;
  Selected = state.Contains(csActive) || state.Contains(csHotTrack);
  if (IsDesigning || FIsInplace || !FStyle->HotTrack())
    AViewInfo->HotState = chsNoHotTrack;
  else
    AViewInfo->HotState = Selected ? chsSelected : chsNormal;
  if (FEdit) {
    TcxContainerStyle* active = FEdit->Style();
    if (state.Contains(csDisabled))
      active = FEdit->StyleDisabled();
    else if (state.Contains(csActive))
      active = FEdit->StyleFocused();
    else if (state.Contains(csHotTrack) && FEdit->Style()->HotTrack())
      active = FEdit->StyleHot();
    FStyle = static_cast<TcxCustomEditStyle*>(active);
  }
  if (FIsInplace || !NativeStyle)
    AViewInfo->EditBorderStyle = GetBorderStyle();
  else
    AViewInfo->EditBorderStyle = EditViewBaseStyle(FStyle)->BorderStyle();
}

void TcxCustomEditViewData::CalculateViewInfo(TcxCustomEditViewInfo* AViewInfo) {
  AViewInfo->SetCalculated(true);
  AViewInfo->NativeStyle = NativeStyle;
  AViewInfo->ThemedObjectType = totEdit;
  AViewInfo->NativeState = NativeStyle ? GetEditNativeState(AViewInfo) : 0;
  AViewInfo->Transparent = FEdit && FEdit->IsTransparent();
  AViewInfo->CalculateEditorBounds();
  if (AViewInfo->NeedShowErrorIcon()) {
    TRect editorBounds = AViewInfo->EditorBounds();
    TRect errorBounds = editorBounds;
    if (!FEdit) errorBounds.Left += 1;
    const int32_t width = GetErrorIconWidth(AViewInfo->ErrorData());
    if (FValidationErrorIconAlignment == taLeftJustify) {
      errorBounds.Right = errorBounds.Left + width;
      editorBounds.Left = errorBounds.Right;
    } else {
      errorBounds.Left = errorBounds.Right - width;
      editorBounds.Right = errorBounds.Left;
    }
    AViewInfo->SetErrorBounds(errorBounds);
    AViewInfo->SetEditorBounds(editorBounds);
  } else {
    AViewInfo->SetErrorBounds(TRect{});
  }
  AViewInfo->BorderExtent = GetBorderExtent();
  AViewInfo->BorderRect = EditViewDeflate(AViewInfo->EditorBounds(), AViewInfo->BorderExtent);
  AViewInfo->ShadowRect = AViewInfo->BorderRect;
  AViewInfo->BorderWidth = GetContainerBorderWidth(AViewInfo->EditBorderStyle);
  AViewInfo->HasContentOffsets = ContentOffset != TRect{};
  if (!FIsInplace) AViewInfo->BorderColor = GetBorderColor();
  TColor fillColor = clDefault, textColor = clDefault;
  GetColorSettings(AViewInfo, fillColor, textColor);
  AViewInfo->SetBackgroundColor(fillColor);
  AViewInfo->TextColor = textColor;
}

int32_t TcxCustomEditViewData::GetEditNativeState(TcxCustomEditViewInfo* AViewInfo) {
  const TcxContainerState state = AViewInfo->ContainerState;
  if (state.Contains(csDisabled)) return 4;
  if (state.Contains(csActive)) return 3;
  if (state.Contains(csHotTrack)) return 2;
  if (FProperties->ReadOnly()) return 6;
  return 1;
}

// --- Border and colours --------------------------------------------------------------------------

TcxEditBorderStyle TcxCustomEditViewData::GetBorderStyle() {
  if (FIsInplace) return cbsNone;
  return EditViewCorrectBorderStyle(FStyle->BorderStyle());
}

bool TcxCustomEditViewData::HasShadow() {
  return IsShadowDrawingNeeded(this);
}

TRect TcxCustomEditViewData::GetBorderExtentByEdges(int32_t ABorderWidth) {
  const TcxBorders edges = FStyle->Edges();
  return TRect{edges.Contains(bLeft) ? ABorderWidth : 0, edges.Contains(bTop) ? ABorderWidth : 0,
               edges.Contains(bRight) ? ABorderWidth : 0, edges.Contains(bBottom) ? ABorderWidth : 0};
}

TRect TcxCustomEditViewData::GetBorderExtentByPainter() {
  if (!FStyle->HasBorder() || (GetBorderStyle() == cbsNone && !FStyle->TransparentBorder())) return TRect{};
  TcxCustomLookAndFeelPainter* painter = FStyle->LookAndFeel()->Painter();
  const TcxContainerBorderStyle style = FStyle->TransparentBorder() ? cbsThick : GetBorderStyle();
  return GetBorderExtentByEdges(painter ? painter->GetContainerBorderWidth(style)
                                        : GetContainerBorderWidth(style));
}

TRect TcxCustomEditViewData::GetBorderExtent() {
  if (FIsInplace) return ContentOffset;
  const bool native = IsNativeStyle(FStyle->LookAndFeel());
  TRect result;
  if (FStyle->LookAndFeel()->SkinPainter())
    result = GetBorderExtentByPainter();
  else if (FStyle->TransparentBorder())
    result = cxContainerDefaultBorderExtent;
  else if (!FStyle->HasBorder() || (native && EditViewBaseStyle(FStyle)->BorderStyle() == cbsNone) ||
           (FEdit && FEdit->IsTransparent()))
    result = TRect{};
  else if (native)
    result = cxContainerDefaultBorderExtent;
  else
    result = GetBorderExtentByEdges(GetContainerBorderWidth(GetBorderStyle()));
  if (HasShadow()) {
    result.Right += cxContainerShadowWidth;
    result.Bottom += cxContainerShadowWidth;
  }
  return result;
}

TColor TcxCustomEditViewData::GetBorderColorByPainter(bool AIsHighlight) {
  if (FIsInplace || !FEdit) return clDefault;
  TcxCustomLookAndFeelPainter* skin = FStyle->LookAndFeel()->SkinPainter();
  if (!skin) return clDefault;
  if (FEdit->Style()->AssignedValues().Contains(svBorderColor) ||
      FStyle->AssignedValues().Contains(svBorderColor))
    return FStyle->BorderColor();
  return skin->GetContainerBorderColor(AIsHighlight);
}

TColor TcxCustomEditViewData::GetBorderColor() {
  const bool highlighted =
      ContainerState.Contains(csActive) || (ContainerState.Contains(csHotTrack) && FStyle->HotTrack());
  const TColor painterColor = GetBorderColorByPainter(highlighted);
  if (painterColor != clDefault) return painterColor;
  const TcxContainerBorderStyle style = FStyle->BorderStyle();
  if (style == cbsUltraFlat || style == cbsOffice11)
    return GetContainerBorderColor(highlighted || (IsDesigning && Enabled), style == cbsOffice11);
  return FStyle->BorderColor();
}

void TcxCustomEditViewData::GetColorSettings(TcxCustomEditViewInfo* AViewInfo, TColor& AFillColor,
                                             TColor& ATextColor) {
  AViewInfo->GetColorSettingsByPainter(AFillColor, ATextColor);
  if (ATextColor == clDefault) ATextColor = FStyle->TextColor();
  if (FEdit && FEdit->DefaultParentColor()) {
    AFillColor = FStyle->Color();
    return;
  }
  if (AFillColor != clDefault) return;
  if (!Enabled && NativeStyle && !FStyle->IsValueAssigned(svColor)) {
    if (HTHEME theme = OpenTheme(totEdit)) {
      COLORREF color = 0;
      const int32_t part = IsWinVistaOrLater() ? 3 : 1;
      if (GetThemeColor(theme, part, AViewInfo->NativeState, TMT_FILLCOLOR, &color) == S_OK) {
        AFillColor = static_cast<TColor>(color);
        return;
      }
    }
  }
  AFillColor = FStyle->Color();
}

// --- Error icon -------------------------------------------------------------------------------------

int32_t TcxCustomEditViewData::GetErrorIconWidth(TcxEditValidateInfo* AErrorData) {
  int32_t width = 0;
  if (AErrorData && AErrorData->ErrorIcon() && !AErrorData->ErrorIcon()->Empty())
    width = FScaleFactor.Apply(AErrorData->ErrorIcon()->Width());
  return width + FScaleFactor.Apply(3);
}

bool TcxCustomEditViewData::NeedShowErrorIcon(TcxCustomEditViewInfo* AViewInfo) {
  TcxEditValidateInfo* data = AViewInfo->ErrorData();
  return data->IsError() && FProperties->ValidationOptions().Contains(evoShowErrorIcon) &&
         data->ErrorIcon() && !data->ErrorIcon()->Empty();
}

// --- Buttons -----------------------------------------------------------------------------------------

TcxCustomEditButton* TcxCustomEditViewData::VisibleButton(int32_t AButtonVisibleIndex) const {
  TcxCustomEditButtons* buttons = FProperties->Buttons();
  int32_t visibleIndex = -1;
  for (int32_t i = 0; i < buttons->Count(); ++i)
    if (buttons->Items(i)->Visible() && ++visibleIndex == AButtonVisibleIndex) return buttons->Items(i);
  return nullptr;
}

TcxEditButtonStyle TcxCustomEditViewData::GetButtonsStyle() {
  const TcxEditButtonStyle style = FStyle->ButtonStyle();
  if (style != btsDefault) return style;
  const TcxContainerBorderStyle borderStyle = FStyle->BorderStyle();
  if (!FIsInplace && (borderStyle != cbsNone || FStyle->HotTrack()))
    return kEditViewButtonStyles[borderStyle];
  return kEditViewInplaceButtonStyles[FStyle->LookAndFeel()->Kind()];
}

bool TcxCustomEditViewData::IsButtonLeftAligned(TcxCustomEditViewInfo* AViewInfo,
                                                int32_t AButtonVisibleIndex) {
  TcxCustomEditButton* button = VisibleButton(AButtonVisibleIndex);
  return (button && button->LeftAlignment()) != UseRightToLeftAlignment;
}

int32_t TcxCustomEditViewData::GetCaptureButtonVisibleIndex() {
  return FEdit ? FEdit->CaptureButtonVisibleIndex() : -1;
}

int32_t TcxCustomEditViewData::DoGetDefaultButtonWidth(int32_t AIndex) {
  int32_t width = 0;
  if (OnGetDefaultButtonWidth) OnGetDefaultButtonWidth(this, AIndex, width);
  return width;
}

void TcxCustomEditViewData::DoGetButtonState(TcxEditButtonViewInfo* AButtonViewInfo,
                                             TcxEditButtonState& AState) {
  TcxCustomEditViewInfo* viewInfo = AButtonViewInfo->EditViewInfo;
  if (viewInfo && viewInfo->OnGetButtonState) viewInfo->OnGetButtonState(viewInfo, AButtonViewInfo, AState);
}

HTHEME TcxCustomEditViewData::GetButtonNativeTheme(TcxEditButtonViewInfo* AButtonViewInfo) {
  return OpenTheme(AButtonViewInfo->Data.ComboBoxStyle ? totComboBox : totButton);
}

void TcxCustomEditViewData::CalculateButtonNativePartInfo(HTHEME ATheme,
                                                          TcxEditButtonViewInfo* AButtonViewInfo) {
  TcxEditButtonViewInfoData& data = AButtonViewInfo->Data;
  if (ATheme && data.ComboBoxStyle && IsWinVistaOrLater() && !FIsInplace)
    data.NativePart = data.LeftAlignment ? 7 : 6;
  else
    data.NativePart = ATheme ? 1 : 0;
  data.NativeState = data.NativePart != 0 ? kEditViewNativeButtonStates[data.State] : 0;
}

void TcxCustomEditViewData::CalculateButtonNativeInfo(TcxEditButtonViewInfo* AButtonViewInfo) {
  TcxEditButtonViewInfoData& data = AButtonViewInfo->Data;
  HTHEME theme = data.NativeStyle ? GetButtonNativeTheme(AButtonViewInfo) : HTHEME{};
  CalculateButtonNativePartInfo(theme, AButtonViewInfo);
  data.BackgroundPartiallyTransparent =
      data.UseSkins || (data.NativePart != 0 &&
                        IsThemeBackgroundPartiallyTransparent(theme, data.NativePart, data.NativeState));
}

void TcxCustomEditViewData::InitializeButtonInfo(TcxCustomEditViewInfo* AViewInfo,
                                                 int32_t AButtonVisibleIndex) {
  TcxEditButtonViewInfo* info = AViewInfo->ButtonsInfo[static_cast<size_t>(AButtonVisibleIndex)].get();
  TcxCustomEditButton* button = FProperties->Buttons()->Items(info->ButtonIndex);
  TcxEditButtonViewInfoData& data = info->Data;
  data.ComboBoxStyle = ButtonVisibleCount == 1 && button->Kind() == bkDown;
  data.UseSkins = AViewInfo->UseSkins;
  data.Kind = button->Kind();
  if (data.Kind == bkText) {
    data.Caption = button->Caption();
    data.TextColor =
        data.UseSkins && AViewInfo->Painter ? AViewInfo->Painter->EditButtonTextColor() : button->TextColor();
    data.VisibleCaption = button->VisibleCaption();
  }
  data.ContentAlignment = button->ContentAlignment();
  if (UseRightToLeftAlignment && data.ContentAlignment != taCenter)
    data.ContentAlignment = data.ContentAlignment == taLeftJustify ? taRightJustify : taLeftJustify;
  data.Default = button->Default();
  info->Images = FProperties->Buttons()->Images();
  info->ImageIndex = button->ImageIndex();
  info->Glyph = button->Glyph();
  info->HasBackground = AViewInfo->HasBackground;
  data.Gradient = FStyle->GradientButtons();
  data.Hint = button->Hint();
  data.ActionLink = nullptr;
  data.IsInplace = FIsInplace;
  data.LeftAlignment = IsButtonLeftAligned(AViewInfo, AButtonVisibleIndex);
  data.Leftmost = false;
  data.Rightmost = false;
  data.NativeStyle = AViewInfo->NativeStyle;
  info->Stretchable = button->Stretchable();
  info->Width = button->Width() != 0 ? button->Width() : DoGetDefaultButtonWidth(info->ButtonIndex);
  const TcxEditButtonTransparency transparency = FStyle->ButtonTransparency();
  data.Transparent = transparency == ebtAlways || (transparency == ebtInactive && !Selected);
  data.BackgroundColor = AViewInfo->BackgroundColor();
}

void TcxCustomEditViewData::CalculateButtonBounds(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo,
                                                  TRect& AButtonsRect, int32_t AButtonVisibleIndex) {
  TcxEditButtonViewInfo* info = AViewInfo->ButtonsInfo[static_cast<size_t>(AButtonVisibleIndex)].get();
  if (AButtonsRect.IsEmpty()) {
    info->Bounds = TRect{};
    info->VisibleBounds = TRect{};
    return;
  }
  const int32_t width = CalculateEditDefaultButtonWidth(ACanvas, info);
  const int32_t visibleWidth = std::min(width, AButtonsRect.Width());
  const int32_t top = AButtonsRect.Top, bottom = AButtonsRect.Bottom;
  if (info->Data.LeftAlignment) {
    info->Bounds = TRect{AButtonsRect.Left, top, AButtonsRect.Left + width, bottom};
    info->VisibleBounds = TRect{AButtonsRect.Left, top, AButtonsRect.Left + visibleWidth, bottom};
    AButtonsRect.Left += visibleWidth;
    FLeftSideRightmostButtonIndex = AButtonVisibleIndex;
    if (FLeftSideLeftmostButtonIndex == -1) FLeftSideLeftmostButtonIndex = AButtonVisibleIndex;
  } else {
    info->Bounds = TRect{AButtonsRect.Right - width, top, AButtonsRect.Right, bottom};
    info->VisibleBounds = TRect{AButtonsRect.Right - visibleWidth, top, AButtonsRect.Right, bottom};
    AButtonsRect.Right -= visibleWidth;
    FRightSideLeftmostButtonIndex = AButtonVisibleIndex;
    if (FRightSideRightmostButtonIndex == -1) FRightSideRightmostButtonIndex = AButtonVisibleIndex;
  }
}

void TcxCustomEditViewData::CalculateButtonViewInfo(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo,
                                                    TRect& AButtonsRect, int32_t AButtonVisibleIndex) {
  InitializeButtonInfo(AViewInfo, AButtonVisibleIndex);
  CalculateButtonBounds(ACanvas, AViewInfo, AButtonsRect, AButtonVisibleIndex);
}

void TcxCustomEditViewData::DoCalculateButtonViewInfos(TcxCanvas* ACanvas, TRect& AButtonsRect,
                                                       TcxCustomEditViewInfo* AViewInfo) {
  AViewInfo->HasTextButtons = false;
  TcxCustomEditButtons* buttons = FProperties->Buttons();
  int32_t visibleIndex = ButtonVisibleCount - 1;
  for (int32_t i = buttons->Count() - 1; i >= 0 && visibleIndex >= 0; --i) {
    TcxCustomEditButton* button = buttons->Items(i);
    if (!button->Visible()) continue;
    if (button->Kind() == bkText && !AViewInfo->HasTextButtons) {
      AViewInfo->HasTextButtons = true;
      if (ACanvas) {
        ACanvas->Font()->Assign(FStyle->GetVisibleFont());
        AViewInfo->PrepareCanvasFont(ACanvas);
      }
    }
    TcxEditButtonViewInfo* info = AViewInfo->ButtonsInfo[static_cast<size_t>(visibleIndex)].get();
    info->ButtonIndex = i;
    info->ButtonVisibleIndex = visibleIndex;
    info->Data.Style = GetButtonsStyle();
    CalculateButtonViewInfo(ACanvas, AViewInfo, AButtonsRect, visibleIndex);
    --visibleIndex;
  }
}

void TcxCustomEditViewData::CheckButtonsOnly(TcxCustomEditViewInfo* AViewInfo, int32_t APrevButtonsWidth,
                                             int32_t AButtonsWidth) {
  if (!ButtonsOnlyStyle || AButtonsWidth <= 0) return;
  const int32_t count = AViewInfo->ButtonCount();
  auto isCandidate = [&](int32_t I) {
    return AViewInfo->ButtonsInfo[static_cast<size_t>(I)]->Stretchable && !IgnoreButtonWhileStretching(I);
  };
  int32_t candidates = 0;
  int64_t totalWidth = 0;
  for (int32_t i = 0; i < count; ++i)
    if (isCandidate(i)) {
      ++candidates;
      totalWidth += AViewInfo->ButtonsInfo[static_cast<size_t>(i)]->Bounds.Width();
    }
  const bool allButtons = candidates == 0;
  if (allButtons) {
    candidates = count;
    totalWidth = APrevButtonsWidth - AButtonsWidth;
  }
  int32_t left = AButtonsWidth;
  int32_t reached = 0;
  for (int32_t i = count - 1; i >= 0; --i) {
    if (!allButtons && !isCandidate(i)) continue;
    TcxEditButtonViewInfo* info = AViewInfo->ButtonsInfo[static_cast<size_t>(i)].get();
    int32_t delta;
    if (++reached == candidates)
      delta = left;
    else
      delta = totalWidth == 0
                  ? 0
                  : static_cast<int32_t>(info->Bounds.Width() * int64_t{AButtonsWidth} / totalWidth);
    left -= delta;
    if (delta == 0) continue;
    const TRect old = info->Bounds;
    for (auto& other : AViewInfo->ButtonsInfo) {
      if (other.get() == info || other->Data.LeftAlignment != info->Data.LeftAlignment) continue;
      if (info->Data.LeftAlignment && other->Bounds.Left >= old.Right) {
        other->Bounds = cxRectOffset(other->Bounds, delta, 0);
        other->VisibleBounds = other->Bounds;
      } else if (!info->Data.LeftAlignment && other->Bounds.Right <= old.Left) {
        other->Bounds = cxRectOffset(other->Bounds, -delta, 0);
        other->VisibleBounds = other->Bounds;
      }
    }
    if (info->Data.LeftAlignment)
      info->Bounds.Right += delta;
    else
      info->Bounds.Left -= delta;
    info->VisibleBounds = info->Bounds;
  }
}

void TcxCustomEditViewData::CalculateButtonStates(TcxCustomEditViewInfo* AViewInfo, const TPoint& P,
                                                  TcxMouseButton Button, TShiftState Shift,
                                                  bool AIsMouseEvent, int32_t APrevPressedButton) {
  const bool leftHeld = Shift.Contains(ssLeft);
  const bool leftOnly = cxShiftStateLeftOnly(Shift);
  const bool leftOnlyWithDouble = cxShiftStateLeftOnly(Shift, true);
  for (int32_t i = 0; i < AViewInfo->ButtonCount(); ++i) {
    TcxEditButtonViewInfo* info = AViewInfo->ButtonsInfo[static_cast<size_t>(i)].get();
    TcxCustomEditButton* button = FProperties->Buttons()->Items(info->ButtonIndex);
    const bool pressed = IsButtonPressed(AViewInfo, i);
    const TcxEditButtonState previous = info->Data.State;
    TcxEditButtonState state = ebsNormal;
    if (!Enabled || !button->Enabled()) {
      state = ebsDisabled;
    } else if (pressed || (!IsDesigning && cxRectPtIn(info->VisibleBounds, P))) {
      const bool recapture =
          Button == cxmbNone && leftHeld && previous == ebsNormal && GetCaptureButtonVisibleIndex() == i;
      const bool held = previous == ebsPressed && leftHeld;
      if (pressed || held || recapture || (Button == cxmbLeft && leftOnlyWithDouble))
        AViewInfo->IsButtonReallyPressed = true;
      if (!pressed && cxShiftStateMoveOnly(Shift) && !recapture) {
        state = ebsSelected;
        AViewInfo->SelectedButton = i;
      } else if (pressed || (recapture && CanPressButton(AViewInfo, i)) ||
                 (leftOnly &&
                  ((Button == cxmbLeft && CanPressButton(AViewInfo, i)) || i == APrevPressedButton)) ||
                 held) {
        state = ebsPressed;
        AViewInfo->PressedButton = i;
      }
    }
    DoGetButtonState(info, state);
    info->Data.State = state;
    CalculateButtonNativeInfo(info);
  }
}

void TcxCustomEditViewData::CorrectButtonBounds(TcxCustomEditViewInfo* AViewInfo) {
  auto info = [&](int32_t I) { return AViewInfo->ButtonsInfo[static_cast<size_t>(I)].get(); };
  if (FLeftSideLeftmostButtonIndex != -1) info(FLeftSideLeftmostButtonIndex)->Data.Leftmost = true;
  if (FLeftSideRightmostButtonIndex != -1 && !(ButtonsOnlyStyle && FRightSideLeftmostButtonIndex != -1))
    info(FLeftSideRightmostButtonIndex)->Data.Rightmost = true;
  if (FRightSideLeftmostButtonIndex != -1 && !(ButtonsOnlyStyle && FLeftSideLeftmostButtonIndex != -1))
    info(FRightSideLeftmostButtonIndex)->Data.Leftmost = true;
  if (FRightSideRightmostButtonIndex != -1) info(FRightSideRightmostButtonIndex)->Data.Rightmost = true;
  if (ButtonsOnlyStyle)
    for (auto& button : AViewInfo->ButtonsInfo) button->Data.LeftAlignment = false;
}

void TcxCustomEditViewData::CalculateButtonsViewInfo(TcxCanvas* ACanvas, TRect& AEditBounds, const TPoint& P,
                                                     TcxMouseButton Button, TShiftState Shift,
                                                     TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) {
  const TcxEditButtonTransparency transparency = FStyle->ButtonTransparency();
  const bool active = ContainerState.Contains(csActive);
  const bool hot = ContainerState.Contains(csHotTrack);
  if (ButtonVisibleCount == 0 || (!active && transparency == ebtHideInactive) ||
      (!active && !hot && transparency == ebtHideUnselected)) {
    AViewInfo->SetButtonCount(0);
    return;
  }
  AViewInfo->SetButtonCount(ButtonVisibleCount);
  AViewInfo->IsButtonReallyPressed = false;
  const int32_t prevPressedButton = AIsMouseEvent ? AViewInfo->PressedButton : -1;
  AViewInfo->PressedButton = -1;
  AViewInfo->SelectedButton = -1;
  FLeftSideLeftmostButtonIndex = FLeftSideRightmostButtonIndex = -1;
  FRightSideLeftmostButtonIndex = FRightSideRightmostButtonIndex = -1;

  TcxCustomEditButton* first = VisibleButton(0);
  const bool comboStyle = ButtonVisibleCount == 1 && first && first->Kind() == bkDown;
  TRect r = AEditBounds;
  if (!(NativeStyle && !FIsInplace && comboStyle && IsWinVistaOrLater()))
    r = EditViewDeflate(AEditBounds, GetButtonsExtent(ACanvas));
  const int32_t prevWidth = r.Width();
  DoCalculateButtonViewInfos(ACanvas, r, AViewInfo);
  CheckButtonsOnly(AViewInfo, prevWidth, r.Width());
  CalculateButtonStates(AViewInfo, P, Button, Shift, AIsMouseEvent, prevPressedButton);
  CorrectButtonBounds(AViewInfo);
}

void TcxCustomEditViewData::CheckStartButtonsFading(TcxCustomEditViewInfo* AViewInfo) {
  for (auto& button : AViewInfo->ButtonsInfo) button->FadingHelper()->UpdateState();
}

TRect TcxCustomEditViewData::GetButtonsExtent(TcxCanvas*) {
  if (FIsInplace) return ContentOffset;
  if (!NativeStyle) return GetBorderExtent();
  if (EditViewBaseStyle(FStyle)->BorderStyle() != cbsNone) {
    if (HTHEME theme = OpenTheme(totEdit)) return EditViewThemeContentMargins(theme, 1, 1);
    return cxContainerDefaultBorderExtent;
  }
  if (FStyle->TransparentBorder()) return cxContainerDefaultBorderExtent;
  return TRect{};
}

TRect TcxCustomEditViewData::GetClientExtent(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo) {
  TRect result = GetBorderExtent();
  if (FProperties->ButtonsViewStyle() != bvsNormal && AViewInfo->ButtonCount() > 0) {
    const TRect buttons = GetButtonsExtent(ACanvas);
    result.Left = buttons.Left;
    result.Right = buttons.Right;
  }
  if (!IsTouchScrollUIMode) {
    if (HScrollBar && HScrollBar->IsActuallyVisible()) result.Bottom += HScrollBar->Height();
    if (VScrollBar && VScrollBar->IsActuallyVisible()) {
      if (UseRightToLeftScrollBar)
        result.Left += VScrollBar->Width();
      else
        result.Right += VScrollBar->Width();
    }
  }
  const TRect& editorBounds = AViewInfo->EditorBounds();
  for (auto& button : AViewInfo->ButtonsInfo) {
    if (button->Data.LeftAlignment)
      result.Left = std::max(result.Left, button->Bounds.Right - editorBounds.Left);
    else
      result.Right = std::max(result.Right, editorBounds.Right - button->Bounds.Left);
  }
  return result;
}

// --- Measuring ----------------------------------------------------------------------------------------

TSize TcxCustomEditViewData::GetEditContentSizeCorrection() {
  const TcxEditContentParams& p = EditContentParams;
  return TSize{p.Offsets.Left + p.Offsets.Right + p.SizeCorrection.cx,
               p.Offsets.Top + p.Offsets.Bottom + p.SizeCorrection.cy};
}

TSize TcxCustomEditViewData::InternalGetEditConstantPartSize(TcxCanvas* ACanvas, bool AIsInplace,
                                                             const TcxEditSizeProperties&,
                                                             TSize& AMinContentSize,
                                                             TcxCustomEditViewInfo* AViewInfo) {
  AMinContentSize = TSize{};
  TSize result;
  if (AViewInfo->Bounds.IsEmpty() || AViewInfo->ClientRect.IsEmpty()) {
    const TRect extent = GetClientExtent(ACanvas, AViewInfo);
    result = TSize{extent.Left + extent.Right, extent.Top + extent.Bottom};
  } else {
    result = TSize{AViewInfo->Bounds.Width() - AViewInfo->ClientRect.Width(),
                   AViewInfo->Bounds.Height() - AViewInfo->ClientRect.Height()};
  }
  int32_t contentHeight = 0;
  bool fontPrepared = false;
  for (auto& button : AViewInfo->ButtonsInfo) {
    if (button->Data.Kind == bkGlyph) {
      if (IsImageAssigned(button->Glyph, button->Images, button->ImageIndex))
        contentHeight =
            std::max(contentHeight,
                     dxGetImageSize(button->Glyph, button->Images, button->ImageIndex, &FScaleFactor).cy);
    } else if (button->Data.Kind == bkText && AIsInplace && ACanvas) {
      if (!fontPrepared) {
        ACanvas->Font()->Assign(FStyle->GetVisibleFont());
        AViewInfo->PrepareCanvasFont(ACanvas);
        fontPrepared = true;
      }
      contentHeight = std::max(contentHeight, ACanvas->TextHeight(button->Data.VisibleCaption));
    }
  }
  if (contentHeight > 0) {
    if (!FStyle->LookAndFeel()->SkinPainter()) {
      const TRect extent = GetButtonsExtent(ACanvas);
      contentHeight += extent.Top + extent.Bottom;
    }
    contentHeight += GetEditButtonsContentVerticalOffset(ACanvas, GetButtonsStyle(), NativeStyle);
    AMinContentSize.cy = std::max(0, contentHeight - result.cy);
  }
  return result;
}

TSize TcxCustomEditViewData::GetEditConstantPartSize(TcxCanvas* ACanvas,
                                                     const TcxEditSizeProperties& AEditSizeProperties,
                                                     TSize& AMinContentSize,
                                                     TcxCustomEditViewInfo* AViewInfo) {
  std::unique_ptr<TcxCustomEditViewInfo> temporary;
  if (!AViewInfo) {
    temporary.reset(static_cast<TcxCustomEditViewInfo*>(FProperties->GetViewInfoClass()->Create()));
    Calculate(ACanvas, TRect{0, 0, cxEditMeasuringBoundsSize, cxEditMeasuringBoundsSize}, cxInvalidPoint,
              cxmbNone, TShiftState{}, temporary.get(), false);
    AViewInfo = temporary.get();
  }
  return InternalGetEditConstantPartSize(ACanvas, FIsInplace, AEditSizeProperties, AMinContentSize,
                                         AViewInfo);
}

TSize TcxCustomEditViewData::GetEditContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                                                const TcxEditSizeProperties& AEditSizeProperties,
                                                TcxEditValidateInfo* AErrorData) {
  TSize result;
  if (FProperties->ButtonsViewStyle() != bvsNormal) {
    int32_t textHeight = 0;
    if (ACanvas) {
      ACanvas->Font()->Assign(FStyle->GetVisibleFont());
      textHeight = ACanvas->TextHeight(u"Wg");
    }
    result = TSize{0, GetEditContentSizeCorrection().cy + textHeight};
  } else {
    result = InternalGetEditContentSize(ACanvas, AEditValue, AEditSizeProperties);
  }
  if (AErrorData) result.cx += GetErrorIconWidth(AErrorData);
  if (SupportsTouchMode) dxAdjustToTouchableSize(result, &FScaleFactor);
  return result;
}

void TcxCustomEditViewData::CheckSizeConstraints(TSize& AEditSize) {
  if (FIsInplace || !FEdit) return;
  TSizeConstraints* constraints = FEdit->Constraints();
  if (!constraints) return;
  if (constraints->MaxHeight() > 0) AEditSize.cy = std::min(AEditSize.cy, constraints->MaxHeight());
  if (constraints->MinHeight() > 0) AEditSize.cy = std::max(AEditSize.cy, constraints->MinHeight());
  if (constraints->MaxWidth() > 0) AEditSize.cx = std::min(AEditSize.cx, constraints->MaxWidth());
  if (constraints->MinWidth() > 0) AEditSize.cx = std::max(AEditSize.cx, constraints->MinWidth());
}

TSize TcxCustomEditViewData::GetEditSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                                         TcxEditSizeProperties AEditSizeProperties,
                                         TcxCustomEditViewInfo* AViewInfo) {
  TSize minContentSize;
  const TSize constant = GetEditConstantPartSize(ACanvas, AEditSizeProperties, minContentSize, AViewInfo);
  if (AEditSizeProperties.Height >= 0)
    AEditSizeProperties.Height = std::max(0, AEditSizeProperties.Height - constant.cy);
  if (AEditSizeProperties.Width >= 0)
    AEditSizeProperties.Width = std::max(0, AEditSizeProperties.Width - constant.cx);
  TSize content;
  if (FEdit && FEdit->Focused() && FProperties->GetSupportedOperations().Contains(esoEditingAutoHeight))
    content = GetEditingContentSize(ACanvas, AEditValue, AEditSizeProperties);
  else
    content = GetEditContentSize(ACanvas, AEditValue, AEditSizeProperties);
  content.cx = std::max(content.cx, minContentSize.cx);
  content.cy = std::max(content.cy, minContentSize.cy);
  TSize result{constant.cx + content.cx, constant.cy + content.cy};
  CheckSizeConstraints(result);
  return result;
}

TSize TcxCustomEditViewData::GetEditingSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                                            const TcxEditSizeProperties& AEditSizeProperties,
                                            TcxCustomEditViewInfo* AViewInfo) {
  return GetEditSize(ACanvas, AEditValue, AEditSizeProperties, AViewInfo);
}

void TcxCustomEditViewData::EditValueToDisplayText(const Variant& AEditValue, String& AText) {
  InternalEditValueToDisplayText(AEditValue, AText);
  if (OnGetDisplayText) OnGetDisplayText(this, AText);
}

// --- Unit functions of the view data -----------------------------------------------------------------

int32_t GetEditButtonsContentVerticalOffset(TcxCanvas*, TcxEditButtonStyle AButtonsStyle, bool ANativeStyle) {
  if (ANativeStyle) {
    if (HTHEME theme = OpenTheme(totButton)) {
      const TRect margins = EditViewThemeContentMargins(theme, 1, 1);
      return margins.Top + margins.Bottom;
    }
  }
  return cxEditButtonContentVerticalOffset[AButtonsStyle];
}

int32_t GetNativeInnerTextEditContentHeightCorrection(TcxCustomEditProperties* AProperties, bool AIsInplace) {
  return AIsInplace && AProperties->Buttons()->Count() > 0 ? 1 : 0;
}

bool IsShadowDrawingNeeded(TcxCustomEditViewData* AViewData) {
  return AViewData->Style()->Shadow() &&
         !TcxCustomEditViewData::IsNativeStyle(AViewData->Style()->LookAndFeel());
}

}  // namespace qd
