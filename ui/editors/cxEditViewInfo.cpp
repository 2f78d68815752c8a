// The editor view info: painting of background, border, shadow, validation mark and buttons
// in every button style, hit tests, hints and the invalidation after a recalculation; the
// editors' unit drawing functions; and the editor's link to its view data and view info.
#include <algorithm>

#include "platform/os/gdi.h"
#include "platform/os/user.h"
#include "platform/os/uxtheme.h"
#include "ui/controls/cxControlsWindowUtils.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxThemeManager.h"
#include "ui/editors/cxEdit.h"
#include "ui/graphics/cxGraphicsBlend.h"
#include "ui/graphics/cxGraphicsCaches.h"
#include "ui/graphics/cxGraphicsColors.h"
#include "ui/graphics/cxGraphicsImages.h"
#include "ui/graphics/cxGraphicsPrint.h"
#include "ui/graphics/dxOffice11.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersBitmaps.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxEditValidateInfo)
QD_IMPLEMENT_CLASS(TcxCustomEditViewInfo)

namespace {

TcxCustomLookAndFeelPainter* EditViewPainterOfStyle(TcxLookAndFeelStyle AStyle) {
  TcxCustomLookAndFeelPainter* painter = nullptr;
  if (cxLookAndFeelPaintersManager()) cxLookAndFeelPaintersManager()->GetPainter(AStyle, painter);
  return painter;
}

TRect EditViewThemeContentRect(HTHEME ATheme, HDC DC, int32_t APart, int32_t AState, const TRect& R) {
  TRect content = R;
  if (ATheme) GetThemeBackgroundContentRect(ATheme, DC, APart, AState, &R, &content);
  return content;
}

// Where content of size S sits in C: centred, one pixel right and down when offset while it
// still ends inside C.
TPoint EditViewContentPosition(const TRect& C, const TSize& S, bool AOffset) {
  TPoint p{C.Left + (C.Width() - S.cx) / 2, C.Top + (C.Height() - S.cy) / 2};
  if (AOffset) {
    if (p.X + S.cx < C.Right) ++p.X;
    if (p.Y + S.cy < C.Bottom) ++p.Y;
  }
  return p;
}

// Widens ALength-long [AFrom, ATo) to ALength: an odd difference puts the extra pixel after,
// or before when offset.
void EditViewWiden(int32_t& AFrom, int32_t& ATo, int32_t ALength, bool AOffset) {
  const int32_t diff = ALength - (ATo - AFrom);
  if (diff <= 0) return;
  const int32_t before = AOffset ? diff - diff / 2 : diff / 2;
  AFrom -= before;
  ATo += diff - before;
}

// A guard that sets a view-info state flag for its lifetime.
class EditViewStateGuard {
 public:
  EditViewStateGuard(TcxEditViewInfoStates& AState, TcxEditViewInfoState AItem)
      : FState(AState), FItem(AItem) {
    FState.Include(FItem);
  }
  ~EditViewStateGuard() { FState.Exclude(FItem); }

 private:
  TcxEditViewInfoStates& FState;
  TcxEditViewInfoState FItem;
};

}  // namespace

// --- Unit functions --------------------------------------------------------------------------------

HBRUSH GetSolidBrush(TColor AColor) {
  return TdxSolidBrushCache::Get(AColor);
}

void cxEditFillRect(HDC ADC, const TRect& R, HBRUSH ABrush) {
  ::qd::FillRect(ADC, &R, ABrush);
}

void cxEditFillRect(TcxCanvas* ACanvas, const TRect& R, TColor AColor) {
  cxEditFillRect(ACanvas->Handle(), R, GetSolidBrush(AColor));
}

void DrawButtonBorder(TcxCanvas* ACanvas, TRect& R, TcxBorders ABorders, TColor AColor) {
  if (ABorders.Contains(bLeft)) {
    cxEditFillRect(ACanvas, TRect{R.Left, R.Top, R.Left + 1, R.Bottom}, AColor);
    ++R.Left;
  }
  if (ABorders.Contains(bRight)) {
    cxEditFillRect(ACanvas, TRect{R.Right - 1, R.Top, R.Right, R.Bottom}, AColor);
    --R.Right;
  }
  if (ABorders.Contains(bTop)) {
    cxEditFillRect(ACanvas, TRect{R.Left, R.Top, R.Right, R.Top + 1}, AColor);
    ++R.Top;
  }
  if (ABorders.Contains(bBottom)) {
    cxEditFillRect(ACanvas, TRect{R.Left, R.Bottom - 1, R.Right, R.Bottom}, AColor);
    --R.Bottom;
  }
}

void DrawComplexFrameEx(TcxCanvas* ACanvas, TRect& R, TColor ALeftTopColor, TColor ARightBottomColor) {
  ACanvas->DrawComplexFrame(R, ALeftTopColor, ARightBottomColor);
  R = cxRectInflate(R, -1, -1);
}

void FrameRectEx(TcxCanvas* ACanvas, TRect& R, TColor AColor) {
  ACanvas->FrameRect(R, AColor);
  R = cxRectInflate(R, -1, -1);
}

TColor GetEditBorderHighlightColor(bool AIsOffice11Style) {
  return GetContainerBorderColor(true, AIsOffice11Style);
}

TColor GetEditButtonHighlightColor(bool AIsPressed, bool AIsOffice11Style) {
  TcxCustomLookAndFeelPainter* painter =
      EditViewPainterOfStyle(AIsOffice11Style ? lfsOffice11 : lfsUltraFlat);
  if (!painter) return AIsPressed ? clHighlight : clBtnFace;
  return painter->ButtonColor(AIsPressed ? cxbsPressed : cxbsHot);
}

TSize GetArrowSize(const TSize& AContentSize, TcxArrowDirection ADirection) {
  const int32_t side = std::min(AContentSize.cx, AContentSize.cy);
  int32_t width = (side - 1) / 2;
  if (width % 2 == 0) ++width;
  const int32_t height = width / 2 + 1;
  if (ADirection == adLeft || ADirection == adRight) return TSize{height, width};
  return TSize{width, height};
}

void DrawArrow(TcxCanvas* ACanvas, const TSize& AArrowSize, const TRect& AContentRect, TColor AColor,
               bool AOffsetContent, bool AIsDoubleArrow, TcxArrowDirection ADirection) {
  const int32_t count = AIsDoubleArrow ? 2 : 1;
  const bool vertical = ADirection == adUp || ADirection == adDown;
  // The arrow's length along its direction (rows) and its base width.
  const int32_t size = vertical ? AArrowSize.cy : AArrowSize.cx;
  const TSize block = vertical ? TSize{2 * size - 1, count * size} : TSize{count * size, 2 * size - 1};
  const TPoint origin = EditViewContentPosition(AContentRect, block, AOffsetContent);
  HBRUSH brush = GetSolidBrush(AColor);
  for (int32_t n = 0; n < count; ++n)
    for (int32_t i = 0; i < size; ++i) {
      // Row i of an arrow pointing up is 2i+1 wide, centred.
      const int32_t grow = ADirection == adUp || ADirection == adLeft ? i : size - 1 - i;
      TRect r;
      if (vertical) {
        const int32_t y = origin.Y + n * size + i;
        r = TRect{origin.X + size - 1 - grow, y, origin.X + size + grow, y + 1};
      } else {
        const int32_t x = origin.X + n * size + i;
        r = TRect{x, origin.Y + size - 1 - grow, x + 1, origin.Y + size + grow};
      }
      cxEditFillRect(ACanvas->Handle(), r, brush);
    }
}

int32_t CalculateEditDefaultButtonWidth(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButtonViewInfo) {
  TcxEditButtonViewInfoData& data = AButtonViewInfo->Data;
  const TdxThemedObjectType themeType = data.ComboBoxStyle ? totComboBox : totButton;
  data.NativeStyle = data.NativeStyle && AreVisualStylesAvailable({themeType});
  int32_t border = 4;
  if (data.NativeStyle) {
    const TRect r{0, 0, 100, 100};
    border = 100 - EditViewThemeContentRect(OpenTheme(themeType), nullptr, 1, 1, r).Width();
  }
  if (AButtonViewInfo->Width >= 1) return std::max(border, AButtonViewInfo->Width);
  TdxScaleFactor* scale = AButtonViewInfo->ScaleFactor();
  auto scaled = [scale](int32_t V) { return scale ? scale->Apply(V) : V; };
  int32_t result;
  if (data.Kind == bkGlyph &&
      IsImageAssigned(AButtonViewInfo->Glyph, AButtonViewInfo->Images, AButtonViewInfo->ImageIndex))
    result = border + dxGetImageSize(AButtonViewInfo->Glyph, AButtonViewInfo->Images,
                                     AButtonViewInfo->ImageIndex, scale)
                          .cx;
  else if (data.Kind == bkText)
    result = std::max(border + (ACanvas ? ACanvas->TextWidth(data.VisibleCaption) : 0) + scaled(2) + 1,
                      scaled(GetSystemMetrics(SM_CXVSCROLL)));
  else
    result = scaled(GetSystemMetrics(SM_CXVSCROLL));
  dxAdjustToTouchableSize(result, scale);
  return result;
}

bool AdjustCanvasFont(TcxCanvas* ACanvas, TFont* AFont, int32_t AAngle) {
  ACanvas->Font()->Assign(AFont);
  TEXTMETRICW metrics{};
  GetTextMetricsW(ACanvas->Handle(), &metrics);
  const bool trueType = (metrics.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
  if (trueType && AAngle % 360 != 0) ACanvas->SetFontAngle(AAngle % 360);
  return trueType;
}

bool IsVarEmpty(const Variant& V) {
  return VarIsNull(V) || VarIsEmpty(V);
}

bool cxIsDigitChar(Char C) {
  return C >= u'0' && C <= u'9';
}

void DrawCustomEditBackground(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, bool ADrawBackground) {
  TcxCustomEditViewInfo* vi = AViewInfo;
  ACanvas->SaveDC();
  const bool firstPartiallyTransparent =
      vi->ButtonCount() > 0 && vi->ButtonsInfo[0]->Data.BackgroundPartiallyTransparent;
  if (!firstPartiallyTransparent)
    for (auto& button : vi->ButtonsInfo) ACanvas->ExcludeClipRect(button->VisibleBounds);
  const TColor color = vi->BackgroundColor();
  bool handled = false;
  if (vi->IsInplace && vi->OnDrawBackground) vi->OnDrawBackground(vi, ACanvas, handled);
  if (handled) {
    ACanvas->RestoreDC();
    return;
  }
  if (vi->NativeStyle) {
    vi->DrawNativeStyleEditBackground(ACanvas, ADrawBackground, color);
    ACanvas->RestoreDC();
    return;
  }
  auto fillButtons = [&] {
    if (!vi->Transparent && firstPartiallyTransparent)
      for (auto& button : vi->ButtonsInfo) cxEditFillRect(ACanvas, button->Bounds, color);
  };
  const int32_t width = vi->Painter ? vi->Painter->GetContainerBorderWidth(vi->EditBorderStyle)
                                    : GetContainerBorderWidth(vi->EditBorderStyle);
  TRect r = vi->BorderRect;
  r.Left -= width;
  r.Top -= width;
  if (vi->Edges.Contains(bRight)) r.Right += width;
  if (vi->Edges.Contains(bBottom)) r.Bottom += width;
  if (vi->Shadow) DrawContainerShadow(ACanvas, r);
  if (!vi->Edges.Contains(bRight)) r.Right += width;
  if (!vi->Edges.Contains(bBottom)) r.Bottom += width;
  if (vi->EditBorderStyle != cbsNone && vi->Painter)
    vi->Painter->DrawContainerBorder(ACanvas, r, vi->EditBorderStyle, width, vi->BorderColor, vi->Edges);
  if (vi->IsInplace) {
    if (!vi->Transparent) {
      if (ADrawBackground) {
        cxEditFillRect(ACanvas, vi->Bounds, color);
      } else {
        if (vi->HasContentOffsets) InternalFillRect(ACanvas, vi->Bounds, vi->BorderRect, color);
        fillButtons();
      }
    }
  } else if (ADrawBackground) {
    if (!vi->Transparent) cxEditFillRect(ACanvas, vi->BorderRect, color);
  } else {
    fillButtons();
  }
  ACanvas->RestoreDC();
}

// --- TcxEditValidateInfo ----------------------------------------------------------------------------

TcxEditValidateInfo::TcxEditValidateInfo() : FErrorIcon(std::make_unique<TdxSmartGlyph>()) {}

TcxEditValidateInfo::~TcxEditValidateInfo() = default;

void TcxEditValidateInfo::Assign(TcxEditValidateInfo* Source) {
  FErrorType = Source->FErrorType;
  FErrorText = Source->FErrorText;
  FErrorIcon->Assign(Source->FErrorIcon.get());
}

void TcxEditValidateInfo::Reset() {
  FErrorType = eetNone;
  FErrorText.clear();
  FErrorIcon->Clear();
}

void TcxEditValidateInfo::SetErrorType(TcxEditErrorType Value) {
  if (FErrorType == Value) return;
  FErrorType = Value;
  TcxBitmap32* icon = nullptr;
  switch (Value) {
    case eetError:
      icon = cxEditErrorIcon;
      break;
    case eetWarning:
      icon = cxEditWarningIcon;
      break;
    case eetInfo:
      icon = cxEditInfoIcon;
      break;
    default:
      return;
  }
  if (icon) {
    FErrorIcon->SetBitmap(icon);
    FErrorIcon->SetSourceDPI(96);
  } else {
    FErrorIcon->Clear();
  }
}

void TcxEditValidateInfo::SetErrorIcon(TGraphic* Value) {
  FErrorIcon->Assign(Value);
}

// --- TcxCustomEditViewInfo: creation and state -----------------------------------------------------

TcxCustomEditViewInfo::TcxCustomEditViewInfo() : FErrorData(std::make_unique<TcxEditValidateInfo>()) {}

TcxCustomEditViewInfo::~TcxCustomEditViewInfo() = default;

void TcxCustomEditViewInfo::Assign(TObject* Source) {
  if (auto* src = dynamic_cast<TcxCustomEditViewInfo*>(Source)) {
    SetBackgroundColor(src->BackgroundColor());
    BorderColor = src->BorderColor;
    EditBorderStyle = src->EditBorderStyle;
    ContainerState = src->ContainerState;
    NativeState = src->NativeState;
    SetButtonCount(src->ButtonCount());
    for (size_t i = 0; i < ButtonsInfo.size(); ++i) ButtonsInfo[i]->Assign(src->ButtonsInfo[i].get());
    PressedButton = src->PressedButton;
    SelectedButton = src->SelectedButton;
  }
  TcxContainerViewInfo::Assign(Source);
}

void TcxCustomEditViewInfo::Offset(int32_t DX, int32_t DY) {
  TcxContainerViewInfo::Offset(DX, DY);
  InnerEditRect = cxRectOffset(InnerEditRect, DX, DY);
  ShadowRect = cxRectOffset(ShadowRect, DX, DY);
  FEditorBounds = cxRectOffset(FEditorBounds, DX, DY);
  FErrorBounds = cxRectOffset(FErrorBounds, DX, DY);
  for (auto& button : ButtonsInfo) {
    button->Bounds = cxRectOffset(button->Bounds, DX, DY);
    button->VisibleBounds = cxRectOffset(button->VisibleBounds, DX, DY);
  }
}

void TcxCustomEditViewInfo::SetButtonCount(int32_t ACount) {
  const size_t count = static_cast<size_t>(std::max(0, ACount));
  if (count < ButtonsInfo.size()) {
    ButtonsInfo.resize(count);
    return;
  }
  while (ButtonsInfo.size() < count) {
    auto* button = static_cast<TcxEditButtonViewInfo*>(GetButtonViewInfoClass()->Create());
    button->EditViewInfo = this;
    ButtonsInfo.emplace_back(button);
  }
}

void TcxCustomEditViewInfo::StoreLastState() {
  LastPressedButton = PressedButton;
  LastSelectedButton = SelectedButton;
}

void TcxCustomEditViewInfo::CalculateEditorBounds() {
  FEditorBounds = Bounds;
  OnCalculateEditorBounds(this, FEditorBounds);
}

bool TcxCustomEditViewInfo::IsTransparent() {
  return Transparent || (FEdit && FEdit->IsTransparent());
}

bool TcxCustomEditViewInfo::IsFadingAvailable() {
  return NativeStyle || (UseSkins && Painter);
}

bool TcxCustomEditViewInfo::IsHotTrack() {
  for (auto& button : ButtonsInfo)
    if (button->Data.State == ebsSelected) return true;
  return false;
}

bool TcxCustomEditViewInfo::IsHotTrack(const TPoint& P) {
  const TPoint p{P.X - Left, P.Y - Top};
  for (auto& button : ButtonsInfo)
    if (cxRectPtIn(button->Bounds, p)) return true;
  return false;
}

bool TcxCustomEditViewInfo::CanDrawEditValue() {
  bool result = true;
  OnCanDrawEditValue(this, result);
  return result;
}

void TcxCustomEditViewInfo::GetColorSettingsByPainter(TColor& AFillColor, TColor& ATextColor) {
  AFillColor = clDefault;
  ATextColor = clDefault;
  if (IsInplace || !FEdit || !UseSkins || !Painter) return;
  TcxEditStateColorKind kind = esckInactive;
  if (!Enabled)
    kind = esckDisabled;
  else if (EditProperties && EditProperties->ReadOnly())
    kind = esckReadOnly;
  else if (Focused)
    kind = esckNormal;
  TcxContainerStyle* active = FEdit->ActiveStyle();
  if (!FEdit->Style()->AssignedValues().Contains(svTextColor) &&
      !active->AssignedValues().Contains(svTextColor))
    ATextColor = Painter->DefaultEditorTextColorEx(kind);
  if (!FEdit->ParentColor() && !FEdit->Style()->AssignedValues().Contains(svColor) &&
      !active->AssignedValues().Contains(svColor))
    AFillColor = Painter->DefaultEditorBackgroundColorEx(kind);
}

// --- Hit tests and hints -----------------------------------------------------------------------------

int32_t TcxCustomEditViewInfo::GetPart(const TPoint& P) {
  for (auto& button : ButtonsInfo)
    if (cxRectPtIn(button->Bounds, P)) return button->ButtonVisibleIndex;
  if (FErrorData->IsError() && cxRectPtIn(FErrorBounds, P)) return ecpErrorIcon;
  if (cxRectPtIn(BorderRect, P)) return ecpControl;
  return ecpNone;
}

TRect TcxCustomEditViewInfo::GetPartRect(int32_t APart) {
  if (APart == ecpErrorIcon) return FErrorBounds;
  if (APart == ecpControl) {
    TRect r = BorderRect;
    for (auto& button : ButtonsInfo) {
      if (button->Data.LeftAlignment && button->Data.Rightmost) r.Left = button->Bounds.Right;
      if (!button->Data.LeftAlignment && button->Data.Leftmost) r.Right = button->Bounds.Left;
    }
    return r;
  }
  if (APart >= ecpButton && APart < ButtonCount()) return ButtonsInfo[static_cast<size_t>(APart)]->Bounds;
  return TRect{};
}

String TcxCustomEditViewInfo::GetHintText(int32_t APart) {
  if (APart >= ecpButton && APart < ButtonCount()) return ButtonsInfo[static_cast<size_t>(APart)]->Data.Hint;
  if (APart == ecpErrorIcon) return FErrorData->ErrorText();
  return String();
}

bool TcxCustomEditViewInfo::NeedShowHint(TcxCanvas* ACanvas, const TPoint& P, int32_t, TRect& ATextRect,
                                         bool& AIsMultiLine, String& AText, const TRect&) {
  ATextRect = TRect{};
  AIsMultiLine = false;
  AText.clear();
  const int32_t part = GetPart(TPoint{P.X - Left, P.Y - Top});
  if (part != ecpErrorIcon && part < ecpButton) return false;
  AText = cxClasses::GetShortHint(GetHintText(part));
  if (AText.empty()) return false;
  const TSize size = ACanvas ? ACanvas->TextExtent(AText) : TSize{};
  const TSize cursor = cxGetCursorSize();
  ATextRect = TRect{P.X, P.Y + cursor.cy, P.X + size.cx, P.Y + cursor.cy + size.cy};
  return true;
}

// --- Painting ------------------------------------------------------------------------------------------

void TcxCustomEditViewInfo::Paint(TcxCanvas* ACanvas) {
  if (OnPaint) OnPaint(this, ACanvas);
  TcxContainerViewInfo::Paint(ACanvas);
  OnAfterDrawValue(this, ACanvas);
}

void TcxCustomEditViewInfo::PaintEx(TcxCanvas* ACanvas) {
  const TPoint origin = ACanvas->WindowOrg();
  ACanvas->SetWindowOrg(TPoint{origin.X - Left, origin.Y - Top});
  try {
    Paint(ACanvas);
  } catch (...) {
    ACanvas->SetWindowOrg(origin);
    throw;
  }
  ACanvas->SetWindowOrg(origin);
}

void TcxCustomEditViewInfo::InternalPaint(TcxCanvas* ACanvas) {
  DrawCustomEdit(ACanvas, true, true);
}

bool TcxCustomEditViewInfo::IsBackgroundPartiallyTransparent() {
  if (FErrorData->IsError() && FErrorData->ErrorIcon() && !FErrorData->ErrorIcon()->Empty()) return true;
  if (!NativeStyle || EditBorderStyle == cbsNone) return false;
  HTHEME theme = OpenTheme(totEdit);
  const int32_t part = IsWinVistaOrLater() ? 6 : 1;
  return theme && IsThemeBackgroundPartiallyTransparent(theme, part, NativeState);
}

void TcxCustomEditViewInfo::DrawCustomEdit(TcxCanvas* ACanvas, bool ACanDrawBackground,
                                           bool ACanDrawValidationMark) {
  TdxFader* fader = dxFader();
  if (!IsInplace && FEdit && (IsBackgroundPartiallyTransparent() || (fader && fader->Contains(FEdit))))
    cxDrawTransparentControlBackground(FEdit, ACanvas, Bounds);
  if (!(fader && FEdit && fader->DrawFadeImage(FEdit, ACanvas->Handle(), Bounds)))
    DrawCustomEditBackground(ACanvas, this, ACanDrawBackground);
  OnAfterDrawBackground(this, ACanvas);
  if (ACanDrawValidationMark) DrawCustomEditValidationMark(ACanvas);
  DrawButtons(ACanvas);
}

void TcxCustomEditViewInfo::DrawCustomEditValidationMark(TcxCanvas* ACanvas) {
  TdxSmartGlyph* icon = FErrorData->ErrorIcon();
  if (!FErrorData->IsError() || !icon || icon->Empty() || FErrorBounds.IsEmpty()) return;
  TSize size = dxGetImageSize(icon, &FScaleFactor);
  // Reduced to fit, keeping its proportions.
  if (size.cx > FErrorBounds.Width() || size.cy > FErrorBounds.Height()) {
    const double k = std::min(static_cast<double>(FErrorBounds.Width()) / size.cx,
                              static_cast<double>(FErrorBounds.Height()) / size.cy);
    size = TSize{static_cast<int32_t>(size.cx * k), static_cast<int32_t>(size.cy * k)};
  }
  const TPoint p = EditViewContentPosition(FErrorBounds, size, false);
  ACanvas->SaveDC();
  ACanvas->IntersectClipRect(FErrorBounds);
  cxDrawImage(ACanvas, TRect{p.X, p.Y, p.X + size.cx, p.Y + size.cy}, icon, ifmStretch);
  ACanvas->RestoreDC();
}

void TcxCustomEditViewInfo::DrawButtons(TcxCanvas* ACanvas) {
  if (FState.Contains(evsPaintButtons) || (FEdit && FEdit->IsButtonDC(ACanvas->Handle()))) return;
  EditViewStateGuard guard(FState, evsPaintButtons);
  for (int32_t i = 0; i < ButtonCount(); ++i) DrawButton(ACanvas, i);
}

void TcxCustomEditViewInfo::DrawNativeStyleEditBackground(TcxCanvas* ACanvas, bool ADrawBackground,
                                                          TColor ABackgroundColor) {
  TRect r = Bounds;
  const TcxEditBackgroundPaintingStyle style = GetBackgroundPaintingStyle();
  const bool hasBorder = !IsInplace && EditBorderStyle != cbsNone;
  if (hasBorder) {
    const bool vista = IsWinVistaOrLater();
    HTHEME theme;
    int32_t part;
    if (vista && style == bpsComboListEdit) {
      theme = OpenTheme(totButton);
      part = 1;
    } else {
      theme = OpenTheme(totEdit);
      part = vista ? 6 : 1;
    }
    TRect content;
    switch (style) {
      case bpsSolid:
        content = vista
                      ? cxRectInflate(FEditorBounds, -2, -2)
                      : EditViewThemeContentRect(theme, ACanvas->Handle(), part, NativeState, FEditorBounds);
        break;
      case bpsComboEdit:
        content = cxRectInflate(FEditorBounds, -3, -3);
        --content.Right;
        break;
      case bpsComboListEdit:
        content = vista ? TRect{} : ClientRect;
        break;
    }
    if (theme) {
      ACanvas->SaveDC();
      if (!content.IsEmpty()) ACanvas->ExcludeClipRect(content);
      TRect border = FEditorBounds;
      if (vista && style == bpsComboListEdit) border = cxRectInflate(border, 1, 1);
      DrawThemeBackground(theme, ACanvas->Handle(), part, NativeState, &border, nullptr);
      ACanvas->RestoreDC();
    }
    r = content;
  }
  if (IsTransparent()) return;
  if (hasBorder && !ADrawBackground) {
    if (style != bpsComboListEdit) InternalFillRect(ACanvas, r, BorderRect, ABackgroundColor);
  } else {
    cxEditFillRect(ACanvas, r, ABackgroundColor);
  }
}

TcxEditDrawBackgroundStyle TcxCustomEditViewInfo::GetDrawBackgroundStyle() {
  const bool transparent = IsTransparent();
  if (IsInplace) {
    if (OnDrawBackground) return dbsCustom;
    return transparent ? dbsNone : dbsSimpleFill;
  }
  if (transparent) return dbsSimpleParent;
  if (FEdit && FEdit->IsNativeBackground()) return dbsThemeParent;
  if (!NativeStyle) return dbsCustomEdit;
  return dbsSimpleFill;
}

void TcxCustomEditViewInfo::DrawEditBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                               const TRect& AContentRect, bool ADrawContent) {
  ACanvas->SaveState();
  if (!ADrawContent) ACanvas->ExcludeClipRect(AContentRect);
  switch (GetDrawBackgroundStyle()) {
    case dbsCustom: {
      ACanvas->IntersectClipRect(ARect);
      bool handled = false;
      OnDrawBackground(this, ACanvas, handled);
      break;
    }
    case dbsCustomEdit:
      DrawCustomEdit(ACanvas, true, false);
      break;
    case dbsNone:
      break;
    case dbsSimpleFill:
      cxEditFillRect(ACanvas, ARect, BackgroundColor());
      break;
    case dbsSimpleParent:
      if (FEdit) cxDrawTransparentControlBackground(FEdit, ACanvas, ARect);
      break;
    case dbsThemeParent:
      if (FEdit) cxDrawThemeParentBackground(FEdit, ACanvas, ARect);
      break;
  }
  ACanvas->RestoreState();
}

void TcxCustomEditViewInfo::DrawBackground(TcxCanvas* ACanvas, const TPoint& APos) {
  if (!IsInplace || !OnDrawBackground) return;
  const TPoint origin = ACanvas->WindowOrg();
  ACanvas->SetWindowOrg(TPoint{origin.X + APos.X, origin.Y + APos.Y});
  bool handled = false;
  OnDrawBackground(this, ACanvas, handled);
  ACanvas->SetWindowOrg(origin);
}

// --- Buttons ---------------------------------------------------------------------------------------------

void TcxCustomEditViewInfo::DrawButton(TcxCanvas* ACanvas, int32_t AButtonVisibleIndex) {
  TcxEditButtonViewInfo* button = ButtonsInfo[static_cast<size_t>(AButtonVisibleIndex)].get();
  button->Data.BackgroundColor = BackgroundColor();
  if (button->VisibleBounds.IsEmpty()) return;
  const TRect& b = button->Bounds;
  const bool clip = b.Left < BorderRect.Left || b.Top < BorderRect.Top || b.Right > BorderRect.Right ||
                    b.Bottom > BorderRect.Bottom;
  if (clip) {
    ACanvas->SaveDC();
    ACanvas->IntersectClipRect(button->VisibleBounds);
  }
  bool handled = false;
  if (OnDrawButton) OnDrawButton(this, ACanvas, AButtonVisibleIndex, handled);
  if (!handled) DrawEditButton(ACanvas, AButtonVisibleIndex);
  if (clip) ACanvas->RestoreDC();
}

void TcxCustomEditViewInfo::InternalPrepareEditButtonBackground(TcxCanvas* ACanvas,
                                                                TcxEditButtonViewInfo* AButton,
                                                                bool AExcludeButtonFromClip) {
  TColor brushColor = 0;
  TColor penColor = clBtnText;
  TRect r = AButton->Bounds;
  TRect content;
  DrawButtonBorder(ACanvas, AButton, brushColor, penColor, content, r);
  if (!r.IsEmpty()) DrawButtonBackground(ACanvas, AButton, brushColor, content, r);
  if (AExcludeButtonFromClip) ACanvas->ExcludeClipRect(AButton->Bounds);
}

void TcxCustomEditViewInfo::DrawEditButton(TcxCanvas* ACanvas, int32_t AButtonVisibleIndex) {
  TcxEditButtonViewInfo* button = ButtonsInfo[static_cast<size_t>(AButtonVisibleIndex)].get();
  const bool fading = button->IsFading();
  if (fading) {
    button->FadingHelper()->DrawImage(ACanvas->Handle(), button->Bounds);
    ACanvas->SaveDC();
    ACanvas->ExcludeClipRect(button->Bounds);
  }
  TColor brushColor = 0;
  TColor penColor = clBtnText;
  TRect r = button->Bounds;
  TRect content;
  DrawButtonBorder(ACanvas, button, brushColor, penColor, content, r);
  if (!r.IsEmpty()) DrawButtonBackground(ACanvas, button, brushColor, content, r);
  if (fading) ACanvas->RestoreDC();
  if (!content.IsEmpty()) {
    const bool offset = button->Data.State == ebsPressed &&
                        (!FEdit || FEdit->ContentParams.Options.Contains(ecoOffsetButtonContent));
    DrawButtonContent(ACanvas, button, offset, brushColor, penColor, content);
  }
}

void TcxCustomEditViewInfo::DrawButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton,
                                             TColor& ABrushColor, TColor& APenColor, TRect& AContentRect,
                                             TRect& R) {
  bool handled = false;
  if (OnDrawButtonBorder) OnDrawButtonBorder(this, ACanvas, AButton, R, AContentRect, handled);
  if (handled) return;
  const TcxEditButtonViewInfoData& data = AButton->Data;
  if (data.NativeStyle && data.NativePart != 0) {
    DrawNativeButtonBorder(ACanvas, AButton, R, AContentRect);
    return;
  }
  if (data.UseSkins) {
    GetColorSettingsByPainter(ABrushColor, APenColor);
    if (ABrushColor == clDefault) {
      if (FEdit)
        ABrushColor = BackgroundColor();
      else
        ABrushColor = data.State == ebsDisabled ? clBtnFace : clWindow;
    }
    if (APenColor == clDefault) APenColor = clBtnText;
    AContentRect = R;
    return;
  }
  TcxEditButtonStyle style = data.Style;
  if (style == btsSimple && (data.State == ebsPressed || data.State == ebsSelected)) style = btsFlat;
  switch (style) {
    case btsDefault:
    case bts3D:
      Draw3DButtonBorder(ACanvas, AButton, R, AContentRect, APenColor, ABrushColor);
      break;
    case btsFlat:
      DrawFlatButtonBorder(ACanvas, AButton, R, AContentRect, APenColor, ABrushColor);
      break;
    case btsSimple:
      DrawSimpleButtonBorder(ACanvas, AButton, R, AContentRect, APenColor, ABrushColor);
      break;
    case btsHotFlat:
      DrawHotFlatButtonBorder(ACanvas, AButton, R, AContentRect, APenColor, ABrushColor);
      break;
    case btsUltraFlat:
    case btsOffice11:
      DrawUltraFlatButtonBorder(ACanvas, AButton, style == btsOffice11, R, AContentRect, ABrushColor);
      break;
  }
}

void TcxCustomEditViewInfo::Draw3DButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton, TRect& R,
                                               TRect& AContentRect, TColor& APenColor, TColor& ABrushColor) {
  ABrushColor = AButton->Data.Transparent ? AButton->Data.BackgroundColor : clBtnFace;
  APenColor = clBtnText;
  if (AButton->Data.State == ebsPressed) {
    FrameRectEx(ACanvas, R, clBtnShadow);
    FrameRectEx(ACanvas, R, ABrushColor);
  } else {
    DrawComplexFrameEx(ACanvas, R, cl3DLight, cl3DDkShadow);
    DrawComplexFrameEx(ACanvas, R, clBtnHighlight, clBtnShadow);
  }
  AContentRect = R;
}

void TcxCustomEditViewInfo::DrawFlatButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton, TRect& R,
                                                 TRect& AContentRect, TColor&, TColor& ABrushColor) {
  ABrushColor = AButton->Data.Transparent ? AButton->Data.BackgroundColor : clBtnFace;
  ::qd::DrawButtonBorder(ACanvas, R, TcxBorders{bLeft}, ABrushColor);
  if (AButton->Data.State == ebsPressed)
    DrawComplexFrameEx(ACanvas, R, clBtnShadow, clBtnHighlight);
  else
    DrawComplexFrameEx(ACanvas, R, clBtnHighlight, clBtnShadow);
  ::qd::DrawButtonBorder(ACanvas, R, TcxBorders{bRight}, ABrushColor);
  AContentRect = R;
}

void TcxCustomEditViewInfo::DrawSimpleButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton,
                                                   TRect& R, TRect& AContentRect, TColor&,
                                                   TColor& ABrushColor) {
  ABrushColor = AButton->Data.Transparent ? AButton->Data.BackgroundColor : clBtnFace;
  if (!IsTransparent()) ACanvas->FrameRect(R, AButton->Data.BackgroundColor);
  R = cxRectInflate(R, -1, -1);
  ::qd::DrawButtonBorder(ACanvas, R, TcxBorders{bLeft, bRight}, ABrushColor);
  AContentRect = R;
}

void TcxCustomEditViewInfo::GetHotFlatButtonColors(const TcxEditButtonViewInfoData& AData, TColor& APenColor,
                                                   TColor& ABrushColor) {
  // The face by state: ebsDisabled, ebsNormal, ebsPressed, ebsSelected.
  static constexpr TColor kBrushes[] = {clBtnFace, clBtnFace, clBtnText, clBtnShadow};
  ABrushColor = AData.Transparent ? AData.BackgroundColor : kBrushes[AData.State];
  const bool active = AData.State == ebsPressed || AData.State == ebsSelected;
  if (!active)
    APenColor = clBtnText;
  else if (AData.Transparent && AData.State == ebsSelected)
    APenColor = clBtnShadow;
  else
    APenColor = clWindow;
}

void TcxCustomEditViewInfo::DrawHotFlatButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton,
                                                    TRect& R, TRect& AContentRect, TColor& APenColor,
                                                    TColor& ABrushColor) {
  const TcxEditButtonViewInfoData& data = AButton->Data;
  GetHotFlatButtonColors(data, APenColor, ABrushColor);
  const bool nextToText = data.LeftAlignment ? data.Rightmost : data.Leftmost;
  if (nextToText) {
    FrameRectEx(ACanvas, R, clBtnShadow);
  } else if (data.LeftAlignment) {
    ::qd::DrawButtonBorder(ACanvas, R, TcxBorders{bLeft, bTop, bBottom}, clBtnShadow);
    ::qd::DrawButtonBorder(ACanvas, R, TcxBorders{bRight}, ABrushColor);
  } else {
    ::qd::DrawButtonBorder(ACanvas, R, TcxBorders{bRight, bTop, bBottom}, clBtnShadow);
    ::qd::DrawButtonBorder(ACanvas, R, TcxBorders{bLeft}, ABrushColor);
  }
  ::qd::DrawButtonBorder(ACanvas, R, TcxBorders{bLeft, bRight}, ABrushColor);
  AContentRect = R;
}

void TcxCustomEditViewInfo::DrawUltraFlatButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton,
                                                      bool AIsOffice11Style, TRect& R, TRect& AContentRect,
                                                      TColor& ABrushColor) {
  const TcxEditButtonViewInfoData& data = AButton->Data;
  const bool active = data.State == ebsPressed || data.State == ebsSelected;
  if (data.Transparent)
    ABrushColor = data.BackgroundColor;
  else if (data.State == ebsDisabled)
    ABrushColor = clBtnFace;
  else if (data.State == ebsNormal)
    ABrushColor = AIsOffice11Style ? dxOffice11DockColor1 : clBtnFace;
  else
    ABrushColor = GetEditButtonHighlightColor(data.State == ebsPressed, AIsOffice11Style);
  const TColor highlight = GetEditBorderHighlightColor(AIsOffice11Style);
  const bool framed = !active || (!IsInplace && EditBorderStyle == cbsNone) ||
                      (IsInplace && !PaintOptions.Contains(epoHasExternalBorder));
  if (framed) {
    if (active)
      ACanvas->FrameRect(R, highlight);
    else if (!data.Transparent)
      ACanvas->FrameRect(R, data.BackgroundColor);
    R = cxRectInflate(R, -1, -1);
    AContentRect = TRect{R.Left + 1, R.Top, R.Right - 1, R.Bottom};
    return;
  }
  // Pressed or hot inside the editor's border: the lines towards the border are the border's.
  if (data.LeftAlignment) {
    if (!data.Leftmost) ::qd::DrawButtonBorder(ACanvas, R, TcxBorders{bLeft}, highlight);
    if (AButton->Bounds.Right != BorderRect.Right)
      ::qd::DrawButtonBorder(ACanvas, R, TcxBorders{bRight}, highlight);
  } else {
    if (AButton->Bounds.Left != BorderRect.Left)
      ::qd::DrawButtonBorder(ACanvas, R, TcxBorders{bLeft}, highlight);
    if (!data.Rightmost) ::qd::DrawButtonBorder(ACanvas, R, TcxBorders{bRight}, highlight);
  }
  AContentRect = cxRectInflate(R, -1, -1);
}

void TcxCustomEditViewInfo::DrawNativeButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton,
                                                   TRect& R, TRect& AContentRect) {
  if (IsCustomDrawButton(0))
    AContentRect = R;
  else if (AButton->Data.ComboBoxStyle)
    AContentRect = TRect{};
  else
    AContentRect = EditViewThemeContentRect(OpenTheme(totButton), ACanvas->Handle(), 1,
                                            AButton->Data.NativeState, AButton->Bounds);
}

void TcxCustomEditViewInfo::DrawButtonBackground(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton,
                                                 TColor ABrushColor, const TRect& AContentRect,
                                                 const TRect& R) {
  bool handled = false;
  if (OnDrawButtonBackground) OnDrawButtonBackground(this, ACanvas, R, AButton, handled);
  if (handled) return;
  const TcxEditButtonViewInfoData& data = AButton->Data;
  if (data.NativeStyle && data.NativePart != 0) {
    DrawNativeButtonBackground(ACanvas, AButton, R);
  } else if (data.UseSkins && Painter) {
    Painter->DrawScaledEditorButton(ACanvas, AContentRect, EditBtnKindToEditBtnPainterKind[data.Kind],
                                    EditBtnStateToButtonState[data.State], &FScaleFactor,
                                    data.LeftAlignment ? cxbpLeft : cxbpRight);
  } else {
    DrawUsualButtonBackground(ACanvas, AButton, R, ABrushColor);
  }
}

void TcxCustomEditViewInfo::DrawNativeButtonBackground(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton,
                                                       const TRect& R) {
  const TcxEditButtonViewInfoData& data = AButton->Data;
  HTHEME theme = OpenTheme(data.ComboBoxStyle ? totComboBox : totButton);
  if (theme) DrawThemeBackground(theme, ACanvas->Handle(), data.NativePart, data.NativeState, &R, nullptr);
}

void TcxCustomEditViewInfo::DrawUsualButtonBackground(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton,
                                                      const TRect& R, TColor ABrushColor) {
  const TcxEditButtonViewInfoData& data = AButton->Data;
  if (data.Style == btsOffice11 && data.Gradient && !data.Transparent && data.State != ebsDisabled) {
    TRect g{AButton->Bounds.Left, BorderRect.Top, AButton->Bounds.Right, BorderRect.Bottom};
    TColor c1 = dxOffice11ToolbarsColor1, c2 = dxOffice11ToolbarsColor2;
    if (data.State == ebsNormal) {
      g = cxRectInflate(g, 0, -1);
    } else if (data.State == ebsPressed) {
      c1 = dxOffice11SelectedDownColor1;
      c2 = dxOffice11SelectedDownColor2;
    } else {
      c1 = dxOffice11SelectedColor1;
      c2 = dxOffice11SelectedColor2;
    }
    ACanvas->SaveDC();
    ACanvas->IntersectClipRect(R);
    FillGradientRect(ACanvas->Handle(), g, c1, c2, false);
    ACanvas->RestoreDC();
    return;
  }
  cxEditFillRect(ACanvas, R, ABrushColor);
}

void TcxCustomEditViewInfo::DrawButtonContent(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton,
                                              bool ANeedOffsetContent, TColor, TColor APenColor,
                                              const TRect& AContentRect) {
  const TcxEditButtonViewInfoData& data = AButton->Data;
  const TRect& c = AContentRect;
  const bool disabled = data.State == ebsDisabled;
  ACanvas->SaveState();
  ACanvas->IntersectClipRect(c);
  // Disabled content: first one pixel down and right in the highlight colour, then in place.
  auto drawTwiceWhenDisabled = [&](const std::function<void(TColor, int32_t)>& ADraw) {
    if (disabled) {
      ADraw(clBtnHighlight, 1);
      ADraw(clBtnShadow, 0);
    } else {
      ADraw(APenColor, 0);
    }
  };
  bool drawOwnContent = true;
  if (data.UseSkins && Painter) {
    Painter->DrawScaledEditorButtonGlyph(ACanvas, c, EditBtnKindToEditBtnPainterKind[data.Kind],
                                         EditBtnStateToButtonState[data.State], &FScaleFactor,
                                         data.LeftAlignment ? cxbpLeft : cxbpRight);
    drawOwnContent = data.Kind == bkGlyph || data.Kind == bkText;
  }
  if (drawOwnContent) switch (data.Kind) {
      case bkEllipsis: {
        const int32_t d = c.Width() > 11 ? 2 : 1;
        const TPoint p = EditViewContentPosition(c, TSize{3 * d + 4, d}, ANeedOffsetContent);
        drawTwiceWhenDisabled([&](TColor AColor, int32_t AShift) {
          for (int32_t i = 0; i < 3; ++i) {
            const int32_t x = p.X + AShift + i * (d + 2);
            cxEditFillRect(ACanvas, TRect{x, p.Y + AShift, x + d, p.Y + AShift + d}, AColor);
          }
        });
        break;
      }
      case bkDown: {
        TRect r = c;
        EditViewWiden(r.Left, r.Right, AButton->Bounds.Width(), ANeedOffsetContent);
        if (data.IsInplace) EditViewWiden(r.Top, r.Bottom, AButton->Bounds.Height(), ANeedOffsetContent);
        if (ANeedOffsetContent) r = cxRectOffset(r, 1, 1);
        TcxCustomLookAndFeelPainter* standard = EditViewPainterOfStyle(lfsStandard);
        drawTwiceWhenDisabled([&](TColor AColor, int32_t AShift) {
          const TRect arrow = cxRectOffset(r, AShift, AShift);
          if (standard)
            standard->DrawArrow(ACanvas, arrow, adDown, AColor);
          else
            DrawArrow(ACanvas, GetArrowSize(TSize{arrow.Width(), arrow.Height()}, adDown), arrow, AColor,
                      false, false, adDown);
        });
        break;
      }
      case bkGlyph:
        if (IsImageAssigned(AButton->Glyph, AButton->Images, AButton->ImageIndex)) {
          const TSize size =
              dxGetImageSize(AButton->Glyph, AButton->Images, AButton->ImageIndex, &FScaleFactor);
          const TPoint p = EditViewContentPosition(c, size, ANeedOffsetContent);
          IdxColorPalettePtr palette;
          if (Painter) palette = Painter->EditButtonColorPalette(EditBtnStateToButtonState[data.State]);
          cxDrawImage(ACanvas, TRect{p.X, p.Y, p.X + size.cx, p.Y + size.cy}, AButton->Glyph, AButton->Images,
                      AButton->ImageIndex, ifmStretch, disabled ? idmDisabled : idmNormal, false,
                      palette.get(), &FScaleFactor);
        }
        break;
      case bkText: {
        if (Font) ACanvas->Font()->Assign(Font);
        ACanvas->Brush()->SetStyle(bsClear);
        TRect r = c;
        r.Left += 1;
        r.Right -= 2;
        if (!IsInplace) r = cxRectInflate(r, 0, -1);
        if (ANeedOffsetContent) r = cxRectOffset(r, 1, 1);
        TColor color;
        if (data.Style == btsHotFlat && (data.State == ebsPressed || data.State == ebsSelected))
          color = APenColor;
        else
          color = data.TextColor != clDefault ? data.TextColor : TextColor;
        ACanvas->Font()->SetColor(color);
        const int32_t flags = cxSingleLine | cxAlignVCenter | cxShowEndEllipsis | cxShowPrefix |
                              cxAlignmentsHorz[data.ContentAlignment];
        ACanvas->DrawTexT(data.Caption, r, flags, !disabled);
        break;
      }
    }
  ACanvas->RestoreState();
}

// --- Repainting ----------------------------------------------------------------------------------------

bool TcxCustomEditViewInfo::Repaint(TWinControl* AControl, TcxContainerViewInfo* AViewInfo) {
  return Repaint(AControl, TRect{}, AViewInfo);
}

bool TcxCustomEditViewInfo::Repaint(TWinControl* AControl, const TRect& AInnerEditRect,
                                    TcxContainerViewInfo* AViewInfo) {
  if (!AControl || !AControl->HandleAllocated()) return false;
  const HWND handle = AControl->Handle();
  const TRect r = cxRectOffset(Bounds, Left, Top);
  TRect inner;
  if (!AInnerEditRect.IsEmpty()) cxRectIntersect(inner, AInnerEditRect, ClientRect);
  auto invalidate = [&](const TRect& AInner, bool AErase) {
    if (r.IsEmpty() || r == AInner) return;
    InternalInvalidate(handle, r, AInner, AErase, false);
  };
  auto* old = dynamic_cast<TcxCustomEditViewInfo*>(AViewInfo);
  if (!old) {
    invalidate(inner, HasBackground);
    return false;
  }
  bool result = false;
  const bool stateChanged = IsRepaintOnStateChangingNeeded() && ContainerState != old->ContainerState;
  if (NativeState != old->NativeState || BackgroundColor() != old->BackgroundColor() ||
      ButtonCount() != old->ButtonCount() || stateChanged) {
    invalidate(inner, old->HasBackground);
    result = true;
  } else if (EditBorderStyle != old->EditBorderStyle ||
             (BorderColor != old->BorderColor && EditBorderStyle != cbsNone)) {
    invalidate(cxRectOffset(BorderRect, Left, Top), old->HasBackground);
    result = true;
  }
  if (ButtonCount() == old->ButtonCount())
    for (int32_t i = 0; i < ButtonCount(); ++i)
      if (ButtonsInfo[static_cast<size_t>(i)]->Repaint(
              AControl, old->ButtonsInfo[static_cast<size_t>(i)].get(), TPoint{Left, Top}))
        result = true;
  return result;
}

HRGN TcxCustomEditViewInfo::GetUpdateRegion(TcxContainerViewInfo* AOldViewInfo) {
  auto* old = dynamic_cast<TcxCustomEditViewInfo*>(AOldViewInfo);
  const bool sameFrame =
      old && old->BackgroundColor() == BackgroundColor() && old->ContainerState == ContainerState;
  if (old && sameFrame && old->EditBorderStyle == EditBorderStyle && old->NativeState == NativeState &&
      old->ButtonCount() == ButtonCount() &&
      (old->BorderColor == BorderColor || EditBorderStyle == cbsNone)) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (int32_t i = 0; i < ButtonCount(); ++i) {
      const TRect b = ButtonsInfo[static_cast<size_t>(i)]->GetUpdateRegion(
          old->ButtonsInfo[static_cast<size_t>(i)].get());
      if (b.IsEmpty()) continue;
      HRGN part = CreateRectRgn(b.Left, b.Top, b.Right, b.Bottom);
      CombineRgn(region, region, part, RGN_OR);
      DeleteObject(part);
    }
    return region;
  }
  return CreateRectRgn(Bounds.Left, Bounds.Top, Bounds.Right, Bounds.Bottom);
}

// --- The editor's view ------------------------------------------------------------------------------------

TcxCustomEditViewInfo* TcxCustomEdit::ViewInfo() {
  auto* viewInfo = dynamic_cast<TcxCustomEditViewInfo*>(TcxContainer::ViewInfo());
  const TClass viewInfoClass = ActiveProperties()->GetViewInfoClass();
  if (!viewInfo || viewInfo->ClassType() != viewInfoClass) {
    viewInfo = static_cast<TcxCustomEditViewInfo*>(viewInfoClass->Create());
    viewInfo->SetEdit(this);
    ReplaceViewInfo(viewInfo);
  }
  return viewInfo;
}

TcxCustomEditViewData* TcxCustomEdit::CreateViewData() {
  auto* style = static_cast<TcxCustomEditStyle*>(ActiveStyle());
  TcxCustomEditViewData* viewData = ActiveProperties()->CreateViewData(style, IsInplace());
  viewData->ScaleFactor()->Assign(ScaleFactor());
  viewData->SupportsTouchMode = FSupportsTouchMode;
  if (IsInplace()) viewData->EditContentParams = ContentParams;
  viewData->SetEdit(this);
  viewData->WindowHandle = HandleAllocated() ? Handle() : nullptr;
  InitializeViewData(viewData);
  return viewData;
}

void TcxCustomEdit::InitializeViewData(TcxCustomEditViewData* AViewData) {
  AViewData->Enabled = Enabled();
  AViewData->Focused = Focused();
  AViewData->UseRightToLeftAlignment = UseRightToLeftAlignment();
  AViewData->UseRightToLeftReading = UseRightToLeftReading();
  AViewData->UseRightToLeftScrollBar = UseRightToLeftScrollBar();
  AViewData->HScrollBar = IsHScrollBarActive() ? HScrollBar() : nullptr;
  AViewData->VScrollBar = IsVScrollBarActive() ? VScrollBar() : nullptr;
  AViewData->IsDesigning = IsDesigning();
}

void TcxCustomEdit::CalculateViewInfo(const TPoint& P, TcxMouseButton Button, TShiftState Shift,
                                      bool AIsMouseEvent) {
  TcxCustomEditViewInfo* viewInfo = ViewInfo();
  std::unique_ptr<TcxCustomEditViewData> viewData(CreateViewData());
  const TRect bounds = GetControlRect(this);
  viewData->Calculate(Canvas(), bounds, P, Button, Shift, viewInfo, AIsMouseEvent);
  viewData->DoRightToLeftConversion(viewInfo, bounds);
}

void TcxCustomEdit::CalculateViewInfo(bool AIsMouseEvent) {
  TPoint p = cxInvalidPoint;
  if (HandleAllocated()) {
    TPoint cursor;
    GetCursorPos(&cursor);
    p = ScreenToClient(cursor);
  }
  CalculateViewInfo(p, cxmbNone, KeyboardStateToShiftState(), AIsMouseEvent);
}

void TcxCustomEdit::CalculateViewInfo(const TPoint& P, bool) {
  CalculateViewInfo(P, cxmbNone, KeyboardStateToShiftState(), false);
}

bool TcxCustomEdit::DoRefreshContainer(const TPoint& P, TcxMouseButton Button, TShiftState Shift,
                                       bool AIsMouseEvent) {
  if (FCaptureButtonVisibleIndex != -1 && (!HandleAllocated() || GetCapture() != Handle()))
    FCaptureButtonVisibleIndex = -1;
  TcxCustomEditViewInfo* viewInfo = ViewInfo();
  std::unique_ptr<TcxCustomEditViewInfo> old;
  if (AIsMouseEvent && viewInfo->Calculated()) {
    old.reset(static_cast<TcxCustomEditViewInfo*>(viewInfo->ClassType()->Create()));
    old->Assign(viewInfo);
  }
  viewInfo->StoreLastState();
  CalculateViewInfo(P, Button, Shift, AIsMouseEvent);
  const TRect oldInnerEditRect = IsEditClass() && InnerControl() ? InnerControl()->BoundsRect() : TRect{};
  if (viewInfo->Repaint(this, oldInnerEditRect, old.get()) || !old) {
    DoSetSize();
    CalculateViewInfo(P, Button, Shift, AIsMouseEvent);
    AdjustInnerControl();
    UpdateWindowRegion();
  }
  if (viewInfo->ContainerState.Contains(csHotTrack)) BeginMouseTracking(this, GetControlRect(this), this);
  return true;
}

TcxCustomEditViewData* TcxCustomEdit::GetViewData(bool& AIsViewDataCreated) {
  AIsViewDataCreated = true;
  return CreateViewData();
}

void TcxCustomEdit::InvalidateRect(const TRect& R, bool AEraseBackground) {
  if (HandleAllocated()) ::qd::InvalidateRect(Handle(), &R, AEraseBackground);
}

}  // namespace qd
