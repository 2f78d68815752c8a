#include "ui/lookandfeel/cxLookAndFeelPaintersOffice11.h"

#include <memory>

#include "ui/core/cxGeometry.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/core/dxThemeManager.h"
#include "ui/graphics/cxGraphicsColors.h"
#include "ui/graphics/cxGraphicsImages.h"
#include "ui/graphics/cxGraphicsPrint.h"
#include "ui/graphics/dxOffice11.h"
#include "ui/graphics/dxGDIPlusImage.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxOffice11LookAndFeelPainter)

namespace {

// The painter scroll bars and a few other elements are borrowed from; nullptr when none is
// registered.
TcxCustomLookAndFeelPainter* Office11NativePainter() {
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  TcxCustomLookAndFeelPainter* painter = nullptr;
  if (manager && manager->GetPainter(lfsNative, painter)) return painter;
  return nullptr;
}

// The Native painter while visual styles are available for buttons.
TcxCustomLookAndFeelPainter* Office11ThemedButtonPainter() {
  if (!AreVisualStylesAvailable(TdxThemedObjectTypes{totButton})) return nullptr;
  return Office11NativePainter();
}

void Office11Polyline(TcxCanvas* ACanvas, const std::vector<TPoint>& APoints) {
  if (APoints.empty()) return;
  ACanvas->Pen()->SetColor(clBtnText);
  ACanvas->Polyline(APoints);
}

void Office11FillColumn(TcxCanvas* ACanvas, int32_t X, int32_t ATop, int32_t ABottom, TColor AColor) {
  if (ABottom > ATop) ACanvas->FillRect(TRect{X, ATop, X + 1, ABottom}, AColor);
}

// A background event that reports the background as drawn.
struct Office11BandDrawn {
  bool Draw(TcxCanvas* /*ACanvas*/, const TRect& /*ABounds*/) { return true; }
};

TColor Office11CanvasPixel(TcxCanvas* ACanvas, int32_t X, int32_t Y) {
  return static_cast<TColor>(GetPixel(ACanvas->Handle(), X, Y));
}

}  // namespace

TcxOffice11LookAndFeelPainter::TcxOffice11LookAndFeelPainter() {
  CreateOffice11Colors();
}

TcxOffice11LookAndFeelPainter::~TcxOffice11LookAndFeelPainter() {
  ReleaseOffice11Colors();
}

// --- Identity and metrics -------------------------------------------------------------------------------

String TcxOffice11LookAndFeelPainter::LookAndFeelName() {
  return u"Office11";
}

TcxLookAndFeelStyle TcxOffice11LookAndFeelPainter::LookAndFeelStyle() {
  return lfsOffice11;
}

bool TcxOffice11LookAndFeelPainter::NeedRedrawOnResize() {
  return true;
}

int32_t TcxOffice11LookAndFeelPainter::SeparatorSize() {
  return 2;
}

int32_t TcxOffice11LookAndFeelPainter::HeaderBorderSize() {
  return 1;
}

int32_t TcxOffice11LookAndFeelPainter::NavigatorBorderSize() {
  return 1;
}

TcxBorders TcxOffice11LookAndFeelPainter::HeaderBorders(const TcxNeighbors& /*ANeighbors*/) {
  return cxBordersAll;
}

bool TcxOffice11LookAndFeelPainter::IsHeaderHotTrack() {
  return true;
}

int32_t TcxOffice11LookAndFeelPainter::GridBordersOverlapSize() {
  return 0;
}

int32_t TcxOffice11LookAndFeelPainter::ScaledExpandButtonSize(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(11);
}

int32_t TcxOffice11LookAndFeelPainter::ScaledSmallExpandButtonSize(TdxScaleFactor* AScaleFactor) {
  return ScaledExpandButtonSize(AScaleFactor);
}

bool TcxOffice11LookAndFeelPainter::DrawExpandButtonFirst() {
  return false;
}

TSize TcxOffice11LookAndFeelPainter::GetBevelMinimalShapeSize(TdxBevelShape /*AShape*/) {
  return TSize{2, 2};
}

void TcxOffice11LookAndFeelPainter::GetBevelShapeColors(TColor& AColor1, TColor& AColor2) {
  AColor1 = dxOffice11BarSeparatorColor1;
  AColor2 = dxOffice11BarSeparatorColor2;
}

TSize TcxOffice11LookAndFeelPainter::ScaledClockSize(TdxScaleFactor* AScaleFactor) {
  TdxSmartImage* face = GetClockFace();
  return AScaleFactor->Apply(TSize{face->Width(), face->Height()});
}

int32_t TcxOffice11LookAndFeelPainter::ScaledScrollBarMinimalThumbSize(bool AVertical,
                                                                       TdxScaleFactor* AScaleFactor) {
  if (TcxCustomLookAndFeelPainter* native = Office11NativePainter())
    return native->ScaledScrollBarMinimalThumbSize(AVertical, AScaleFactor);
  return inherited::ScaledScrollBarMinimalThumbSize(AVertical, AScaleFactor);
}

// --- Default colours -------------------------------------------------------------------------------------

TColor TcxOffice11LookAndFeelPainter::DefaultControlColor() {
  return dxOffice11DockColor2;
}

TColor TcxOffice11LookAndFeelPainter::DefaultControlTextColor() {
  return dxOffice11TextEnabledColor;
}

TColor TcxOffice11LookAndFeelPainter::DefaultTabColor() {
  return dxOffice11DockColor2;
}

TColor TcxOffice11LookAndFeelPainter::DefaultTabsBackgroundColor() {
  return DefaultTabColor();
}

TColor TcxOffice11LookAndFeelPainter::DefaultDateNavigatorHeaderColor() {
  return dxOffice11DockColor1;
}

TColor TcxOffice11LookAndFeelPainter::DefaultDateNavigatorSelectionColor() {
  return dxOffice11DayNavigatorSelectedColor;
}

TColor TcxOffice11LookAndFeelPainter::DefaultDateNavigatorSelectionTextColor() {
  return clWindowText;
}

TColor TcxOffice11LookAndFeelPainter::DefaultDateNavigatorHeaderHighlightTextColor() {
  return clHighlightText;
}

TColor TcxOffice11LookAndFeelPainter::DefaultFilterBoxColor() {
  return dxOffice11BarFloatingBorderColor1;
}

TColor TcxOffice11LookAndFeelPainter::DefaultFilterBoxTextColor() {
  return dxOffice11BarFloatingCaptionTextColor1;
}

TColor TcxOffice11LookAndFeelPainter::DefaultFooterColor() {
  return dxOffice11DockColor1;
}

TColor TcxOffice11LookAndFeelPainter::DefaultFooterTextColor() {
  return DefaultHeaderTextColor();
}

TColor TcxOffice11LookAndFeelPainter::DefaultGroupColor() {
  return dxOffice11GroupColor;
}

TColor TcxOffice11LookAndFeelPainter::DefaultGroupByBoxColor() {
  return dxOffice11InPlaceSubItemColor;
}

TColor TcxOffice11LookAndFeelPainter::DefaultGroupByBoxTextColor() {
  return dxOffice11ToolbarsColor1;
}

TColor TcxOffice11LookAndFeelPainter::DefaultHeaderColor() {
  return HeaderTopColor();
}

TColor TcxOffice11LookAndFeelPainter::DefaultHeaderBackgroundColor() {
  return DefaultGroupByBoxColor();
}

TColor TcxOffice11LookAndFeelPainter::DefaultSchedulerBorderColor() {
  return dxOffice11OutlookBorderColor;
}

TColor TcxOffice11LookAndFeelPainter::DefaultSchedulerControlColor() {
  return dxOffice11OutlookControlColor;
}

TColor TcxOffice11LookAndFeelPainter::DefaultSchedulerDayHeaderColor() {
  return DefaultHeaderColor();
}

TColor TcxOffice11LookAndFeelPainter::DefaultTimeGridMinorScaleColor() {
  return dxOffice11DockColor1;
}

TColor TcxOffice11LookAndFeelPainter::DefaultTimeGridSelectionBarColor() {
  return DefaultSchedulerControlColor();
}

TColor TcxOffice11LookAndFeelPainter::RichEditControlHeaderFooterLineColor() {
  return dxOffice11DockColor1;
}

TColor TcxOffice11LookAndFeelPainter::RichEditControlHeaderFooterMarkBackColor() {
  return dxOffice11DockColor2;
}

TColor TcxOffice11LookAndFeelPainter::RichEditRulerInactiveAreaColor() {
  return dxOffice11DockColor1;
}

TColor TcxOffice11LookAndFeelPainter::RichEditRulerTabTypeToggleBorderColor() {
  return dxOffice11DropDownBorderColor1;
}

// --- Colours of elements ---------------------------------------------------------------------------------

TColor TcxOffice11LookAndFeelPainter::BorderHighlightColor() {
  return dxOffice11SelectedBorderColor;
}

TColor TcxOffice11LookAndFeelPainter::FilterDropDownButtonBorderColor(TcxButtonState AState) {
  return AState == cxbsNormal ? HeaderDarkEdgeColor() : dxOffice11SelectedBorderColor;
}

TColor TcxOffice11LookAndFeelPainter::TabBorderHighlightColor() {
  return HeaderDarkEdgeColor();
}

TColor TcxOffice11LookAndFeelPainter::FooterSeparatorColor() {
  return HeaderDarkEdgeColor();
}

TColor TcxOffice11LookAndFeelPainter::GetSplitterInnerColor(bool /*AHighlighted*/) {
  return dxOffice11BarSeparatorColor2;
}

TColor TcxOffice11LookAndFeelPainter::GetSplitterOuterColor(bool AHighlighted) {
  return AHighlighted ? dxOffice11SelectedBorderColor : dxOffice11BarSeparatorColor1;
}

TColor TcxOffice11LookAndFeelPainter::ButtonColor(TcxButtonState AState) {
  switch (AState) {
    case cxbsHot:
      return dxOffice11SelectedColor1;
    case cxbsPressed:
      return dxOffice11SelectedDownColor1;
    case cxbsDisabled:
      return clBtnFace;
    default:
      return dxOffice11DockColor1;
  }
}

TColor TcxOffice11LookAndFeelPainter::ButtonSymbolColor(TcxButtonState AState, TColor /*ADefaultColor*/) {
  if (AState == cxbsPressed && !IsXPStandardScheme()) return clHighlightText;
  return AState == cxbsDisabled ? dxOffice11TextDisabledColor : dxOffice11TextEnabledColor;
}

TColor TcxOffice11LookAndFeelPainter::CheckButtonColor(TcxButtonState AState, TcxCheckBoxState ACheckState) {
  if (AState == cxbsHot || AState == cxbsPressed || AState == cxbsDisabled) return ButtonColor(AState);
  return inherited::CheckButtonColor(AState, ACheckState);
}

TColor TcxOffice11LookAndFeelPainter::RadioButtonBodyColor(TcxButtonState AState) {
  return AState == cxbsNormal ? clWindow : ButtonColor(AState);
}

TColor TcxOffice11LookAndFeelPainter::GroupBoxTextColor(bool AEnabled,
                                                        TcxGroupBoxCaptionPosition ACaptionPosition) {
  if (TcxCustomLookAndFeelPainter* native = Office11ThemedButtonPainter())
    return native->GroupBoxTextColor(AEnabled, ACaptionPosition);
  return inherited::GroupBoxTextColor(AEnabled, ACaptionPosition);
}

TColor TcxOffice11LookAndFeelPainter::BreadcrumbEditBackgroundColor(TdxBreadcrumbEditState /*AState*/) {
  return HeaderTopColor();
}

// --- Borders, separators, buttons ----------------------------------------------------------------------

void TcxOffice11LookAndFeelPainter::DrawBorder(TcxCanvas* ACanvas, const TRect& R) {
  ACanvas->FrameRect(R, dxOffice11ControlBorderColor);
}

void TcxOffice11LookAndFeelPainter::DrawSchedulerBorder(TcxCanvas* ACanvas, const TRect& R) {
  ACanvas->FrameRect(R, DefaultSchedulerBorderColor());
}

void TcxOffice11LookAndFeelPainter::DoDrawSeparator(TcxCanvas* ACanvas, const TRect& R,
                                                    bool /*AIsVertical*/) {
  const TRect dark{R.Left, R.Top, R.Right - 1, R.Bottom - 1};
  ACanvas->FillRect(dark, dxOffice11BarSeparatorColor1);
  ACanvas->FillRect(cxRectOffset(dark, 1, 1), dxOffice11BarSeparatorColor2);
}

void TcxOffice11LookAndFeelPainter::DrawButtonBorder(TcxCanvas* ACanvas, const TRect& R,
                                                     TcxButtonState AState) {
  switch (AState) {
    case cxbsDefault:
      inherited::DrawButtonBorder(ACanvas, R, AState);
      break;
    case cxbsNormal:
      ACanvas->FrameRect(R, clBtnText);
      break;
    case cxbsDisabled:
      ACanvas->FrameRect(R, dxOffice11TextDisabledColor);
      break;
    default:
      ACanvas->FrameRect(R, dxOffice11SelectedBorderColor);
      break;
  }
}

void TcxOffice11LookAndFeelPainter::DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                           TdxScaleFactor* AScaleFactor, TColor /*AColor*/,
                                                           TcxButtonState /*AState*/) {
  TBitmap* source = AExpanded ? dxOffice11ExpandButtonBitmap1 : dxOffice11ExpandButtonBitmap2;
  if (!source || R.IsEmpty()) return;
  // The corners are blended on a copy: the scheme's bitmaps are shared by every painter and
  // control, and writing into them would leave one button's background on the next one.
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->Assign(source);
  TCanvas* canvas = bitmap->Canvas();
  const int32_t last = 10;
  const TColor topLeft =
      dxGetMiddleRGB(dxOffice11ExpandButtonColor1, Office11CanvasPixel(ACanvas, R.Left, R.Top), 25);
  const TColor others = dxGetMiddleRGB(dxOffice11ExpandButtonColor2,
                                       Office11CanvasPixel(ACanvas, R.Right - 1, R.Bottom - 1), 25);
  canvas->SetPixels(0, 0, topLeft);
  canvas->SetPixels(last, last, others);
  canvas->SetPixels(0, last, others);
  canvas->SetPixels(last, 0, others);
  cxDrawImage(ACanvas, R, bitmap.get(), ifmProportionalStretch, nullptr, AScaleFactor);
}

void TcxOffice11LookAndFeelPainter::DrawScaledSmallExpandButton(TcxCanvas* ACanvas, const TRect& R,
                                                                bool AExpanded, TColor /*ABorderColor*/,
                                                                TdxScaleFactor* AScaleFactor, TColor AColor) {
  DrawScaledExpandButton(ACanvas, R, AExpanded, AScaleFactor, AColor, cxbsNormal);
}

void TcxOffice11LookAndFeelPainter::DoDrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect,
                                                   TdxScaleFactor* AScaleFactor) {
  Office11DrawSizeGrip(ACanvas->Handle(), ARect, clDefault, clDefault, AScaleFactor);
}

// --- Headers and footers --------------------------------------------------------------------------------

void TcxOffice11LookAndFeelPainter::DrawScaledHeader(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, const TcxNeighbors& ANeighbors,
    const TcxBorders& ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
    TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const String& AText,
    TFont* AFont, TColor ATextColor, TColor ABkColor, TdxScaleFactor* /*AScaleFactor*/,
    const TcxDrawBackgroundEvent& /*AOnDrawBackground*/, bool AIsLast, bool /*AIsGroup*/) {
  inherited::DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz,
                              AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor,
                              ABkColor, dxDefaultScaleFactor(), nullptr, AIsLast, false);
}

void TcxOffice11LookAndFeelPainter::DrawHeaderBorder(TcxCanvas* ACanvas, const TRect& R,
                                                     const TcxNeighbors& ANeighbors,
                                                     const TcxBorders& ABorders) {
  const TColor top = HeaderTopColor();
  const TColor bottom = HeaderBottomColor();
  const TColor dark = HeaderDarkEdgeColor();
  const TColor light = HeaderHighlightEdgeColor();
  const TColor lowerMiddle = dxGetMiddleRGB(top, bottom, 25);
  if (ABorders.Contains(bTop)) ACanvas->FillRect(TRect{R.Left, R.Top, R.Right, R.Top + 1}, top);
  if (ABorders.Contains(bBottom)) ACanvas->FillRect(TRect{R.Left, R.Bottom - 1, R.Right, R.Bottom}, dark);
  if (ABorders.Contains(bLeft)) {
    const int32_t x = R.Left;
    ACanvas->SetPixel(x, R.Top + 1, top);
    if (ANeighbors.Contains(nLeft)) {
      ACanvas->SetPixel(x, R.Top + 2, top);
      ACanvas->SetPixel(x, R.Bottom - 3, lowerMiddle);
      ACanvas->SetPixel(x, R.Bottom - 2, bottom);
      Office11FillColumn(ACanvas, x, R.Top + 2, R.Bottom - 3, light);
    } else {
      ACanvas->SetPixel(x, R.Bottom - 2, bottom);
      Office11FillColumn(ACanvas, x, R.Top + 1, R.Bottom - 2, light);
    }
  }
  if (ABorders.Contains(bRight)) {
    const int32_t x = R.Right - 1;
    if (ANeighbors.Contains(nRight)) {
      ACanvas->SetPixel(x, R.Top + 1, top);
      ACanvas->SetPixel(x, R.Top + 2, top);
      ACanvas->SetPixel(x, R.Bottom - 3, lowerMiddle);
      ACanvas->SetPixel(x, R.Bottom - 2, bottom);
      Office11FillColumn(ACanvas, x, R.Top + 2, R.Bottom - 3, dark);
    } else {
      ACanvas->SetPixel(x, R.Top, dxGetMiddleRGB(top, dark, 50));
      ACanvas->SetPixel(x, R.Bottom - 2, dxGetMiddleRGB(bottom, dark, 50));
      Office11FillColumn(ACanvas, x, R.Top + 1, R.Bottom - 2, dark);
    }
  }
}

void TcxOffice11LookAndFeelPainter::DrawScaledHeaderControlSection(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
    const TcxNeighbors& /*ANeighbors*/, const TcxBorders& ABorders, TcxButtonState AState,
    TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
    const String& AText, TFont* AFont, TColor ATextColor, TColor ABkColor, TdxScaleFactor* AScaleFactor) {
  DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, TcxNeighbors{nRight}, ABorders, AState, AAlignmentHorz,
                   AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
                   AScaleFactor, nullptr, false, false);
  if (AState == cxbsPressed) DrawHeaderPressed(ACanvas, ABounds);
}

void TcxOffice11LookAndFeelPainter::DrawContent(TcxCanvas* ACanvas, const TRect& ABounds,
                                                const TRect& ATextAreaBounds, TcxButtonState AState,
                                                TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                                bool AMultiLine, bool AShowEndEllipsis, const String& AText,
                                                TFont* AFont, TColor ATextColor, TColor /*ABkColor*/,
                                                const TcxDrawBackgroundEvent& AOnDrawBackground,
                                                bool AIsFooter) {
  if (!AOnDrawBackground || !AOnDrawBackground(ACanvas, ABounds)) {
    const bool hot = AState == cxbsHot;
    const TColor upper = hot ? dxOffice11ToolbarsColor1 : HeaderTopColor();
    const TColor lower = hot ? dxOffice11ToolbarsColor1 : HeaderBottomColor();
    if (AIsFooter) {
      ACanvas->FillRect(ABounds, upper);
    } else {
      ACanvas->FillRect(TRect{ABounds.Left, ABounds.Top, ABounds.Right, ABounds.Bottom - 3}, upper);
      FillGradientRect(ACanvas->Handle(),
                       TRect{ABounds.Left, ABounds.Bottom - 4, ABounds.Right, ABounds.Bottom}, upper, lower,
                       false);
    }
  }
  // The text as every painter draws it, over the band drawn here.
  Office11BandDrawn band;
  inherited::DrawContent(ACanvas, ABounds, ATextAreaBounds, AState, AAlignmentHorz, AAlignmentVert,
                         AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, clNone,
                         TcxDrawBackgroundEvent(&band, &Office11BandDrawn::Draw), AIsFooter);
  if (AState == cxbsHot)
    FillGradientRect(ACanvas->Handle(),
                     TRect{ABounds.Left - 1, ABounds.Bottom - 2, ABounds.Right, ABounds.Bottom + 1},
                     dxOffice11SelectedColor1, dxOffice11SelectedColor2, false);
}

void TcxOffice11LookAndFeelPainter::DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                          bool AAscendingSorting,
                                                          TdxScaleFactor* AScaleFactor) {
  DrawSortingArrow(ACanvas, R, HeaderDarkEdgeColor(), HeaderHighlightEdgeColor(), AAscendingSorting,
                   AScaleFactor);
}

void TcxOffice11LookAndFeelPainter::DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                                 bool AAscendingSorting,
                                                                 TdxScaleFactor* AScaleFactor) {
  DrawSummarySortingArrow(ACanvas, R, HeaderDarkEdgeColor(), HeaderHighlightEdgeColor(), AAscendingSorting,
                          AScaleFactor);
}

// --- Scheduler and date navigator -------------------------------------------------------------------------

void TcxOffice11LookAndFeelPainter::DrawScaledMonthHeader(
    TcxCanvas* ACanvas, const TRect& ABounds, const String& AText, const TcxNeighbors& /*ANeighbors*/,
    const TcxViewParams& AViewParams, const TcxArrowDirections& AArrows, int32_t ASideWidth,
    TdxScaleFactor* /*AScaleFactor*/, const TcxDrawBackgroundEvent& AOnDrawBackground) {
  const TRect R = cxRectInflate(ABounds, -1);
  if (!AOnDrawBackground || !AOnDrawBackground(ACanvas, R)) ACanvas->FillRect(R, AViewParams);
  if (!AText.empty()) {
    ACanvas->Brush()->SetStyle(bsClear);
    if (AViewParams.Font) ACanvas->Font()->Assign(AViewParams.Font);
    ACanvas->Font()->SetColor(AViewParams.TextColor);
    ACanvas->DrawTexT(AText, R, cxAlignHCenter | cxAlignVCenter | cxSingleLine);
    ACanvas->Brush()->SetStyle(bsSolid);
  }
  DrawMonthHeaderArrows(ACanvas, ABounds, AArrows, ASideWidth, clWindowText);
}

void TcxOffice11LookAndFeelPainter::DrawSchedulerNavigationButtonContent(
    TcxCanvas* ACanvas, const TRect& ARect, const TRect& AArrowRect, bool AIsNextButton,
    TcxButtonState AState, bool AIsVertical) {
  TColor face = dxOffice11DockColor1;
  if (AState == cxbsHot) face = dxOffice11SelectedColor1;
  if (AState == cxbsPressed) face = dxOffice11SelectedDownColor1;
  ACanvas->FillRect(ARect, face);
  ACanvas->FrameRect(ARect, dxOffice11OutlookBorderColor, 1,
                     cxUltraFlatSchedulerButtonSides(AIsNextButton, AIsVertical));
  DrawSchedulerNavigationButtonArrow(ACanvas, AArrowRect, AIsNextButton, ButtonSymbolColor(AState),
                                     AIsVertical);
}

void TcxOffice11LookAndFeelPainter::DrawSchedulerScaledNavigatorButton(TcxCanvas* ACanvas, const TRect& R,
                                                                       TcxButtonState AState,
                                                                       TdxScaleFactor* AScaleFactor) {
  if (TcxCustomLookAndFeelPainter* native = Office11NativePainter())
    native->DrawSchedulerScaledNavigatorButton(ACanvas, R, AState, AScaleFactor);
  else
    inherited::DrawSchedulerScaledNavigatorButton(ACanvas, R, AState, AScaleFactor);
}

void TcxOffice11LookAndFeelPainter::DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, TRect& R) {
  ACanvas->FillRect(R, DefaultDateNavigatorHeaderColor());
}

void TcxOffice11LookAndFeelPainter::DrawScaledClock(TcxCanvas* ACanvas, const TRect& ARect,
                                                    TDateTime ADateTime, TColor ABackgroundColor,
                                                    TdxScaleFactor* AScaleFactor) {
  DrawModernCalendarClock(ACanvas, ARect, ADateTime, ABackgroundColor, AScaleFactor);
}

// --- Scroll bars, group boxes, panels, track bars ----------------------------------------------------------

void TcxOffice11LookAndFeelPainter::DoDrawScaledScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal,
                                                              const TRect& R, TcxScrollBarPart APart,
                                                              TcxButtonState AState,
                                                              TdxScaleFactor* AScaleFactor) {
  if (TcxCustomLookAndFeelPainter* native = Office11NativePainter())
    native->DoDrawScaledScrollBarPart(ACanvas, AHorizontal, R, APart, AState, AScaleFactor);
  else
    inherited::DoDrawScaledScrollBarPart(ACanvas, AHorizontal, R, APart, AState, AScaleFactor);
}

void TcxOffice11LookAndFeelPainter::DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool AEnabled,
                                                      TcxGroupBoxCaptionPosition ACaptionPosition,
                                                      const TcxBorders& ABorders) {
  if (TcxCustomLookAndFeelPainter* native = Office11ThemedButtonPainter())
    native->DrawGroupBoxFrame(ACanvas, R, AEnabled, ACaptionPosition, ABorders);
  else
    inherited::DrawGroupBoxFrame(ACanvas, R, AEnabled, ACaptionPosition, ABorders);
}

void TcxOffice11LookAndFeelPainter::DrawPanelBackground(TcxCanvas* ACanvas, TWinControl* AControl,
                                                        const TRect& ABounds, TColor AColorFrom,
                                                        TColor AColorTo) {
  if (AColorFrom == clDefault) {
    if (AControl) cxDrawTransparentControlBackground(AControl, ACanvas, ABounds);
  } else if (AColorTo == clDefault) {
    ACanvas->FillRect(ABounds, AColorFrom);
  } else {
    FillGradientRect(ACanvas->Handle(), ABounds, AColorFrom, AColorTo, false);
  }
}

void TcxOffice11LookAndFeelPainter::DrawTrackBarTrackBounds(TcxCanvas* ACanvas, const TRect& ARect) {
  ACanvas->FrameRect(ARect, clBtnText);
}

void TcxOffice11LookAndFeelPainter::DrawTrackBarThumbBorderUpDown(
    TcxCanvas* ACanvas, const std::vector<TPoint>& ALightPolyLine,
    const std::vector<TPoint>& /*AShadowPolyLine*/, const std::vector<TPoint>& ADarkPolyLine) {
  Office11Polyline(ACanvas, ALightPolyLine);
  Office11Polyline(ACanvas, ADarkPolyLine);
}

void TcxOffice11LookAndFeelPainter::DrawTrackBarThumbBorderBoth(TcxCanvas* ACanvas, const TRect& ARect) {
  ACanvas->FrameRect(ARect, clBtnText);
}

// --- Layout views and controls, breadcrumb edits, drop-down list boxes, tokens, alert windows ---------

void TcxOffice11LookAndFeelPainter::LayoutViewDrawRecordCaption(TcxCanvas* ACanvas, const TRect& ABounds,
                                                                const TRect& /*ATextRect*/,
                                                                TcxGroupBoxCaptionPosition APosition,
                                                                TcxButtonState AState, TColor /*AColor*/,
                                                                TBitmap* /*ABitmap*/) {
  LayoutViewDrawRecordBorder(ACanvas, ABounds, AState, cxBordersAll);
  DrawContent(ACanvas, ABounds, TRect{}, AState, taLeftJustify, vaTop, false, false, String(), nullptr,
              clDefault, clDefault, nullptr, APosition == cxgpTop);
}

void TcxOffice11LookAndFeelPainter::DrawLayoutControlBackground(TcxCanvas* ACanvas, const TRect& R) {
  FillGradientRect(ACanvas->Handle(), R, dxOffice11ToolbarsColor1, dxOffice11ToolbarsColor2, false);
}

void TcxOffice11LookAndFeelPainter::DrawBreadcrumbEditBorders(TcxCanvas* ACanvas, const TRect& ARect,
                                                              const TcxBorders& ABorders,
                                                              TdxBreadcrumbEditState /*AState*/) {
  ACanvas->FrameRect(ARect, dxOffice11ControlBorderColor, 1, ABorders);
}

void TcxOffice11LookAndFeelPainter::DrawBreadcrumbEditCustomButton(TcxCanvas* ACanvas, const TRect& R,
                                                                   const TcxBorders& ABorders,
                                                                   TdxBreadcrumbEditButtonState AState) {
  if (R.IsEmpty()) return;
  TColor from = HeaderTopColor(), to = HeaderTopColor();
  switch (AState) {
    case dxbcbsFocused:
      from = to = dxOffice11SelectedColor1;
      break;
    case dxbcbsHot:
      from = dxOffice11SelectedColor1;
      to = dxOffice11SelectedColor2;
      break;
    case dxbcbsPressed:
      from = dxOffice11DownedColor;
      to = dxOffice11SelectedColor1;
      break;
    default:
      break;
  }
  Office11FillTubeGradientRect(ACanvas->Handle(), R, from, to, false);
  ACanvas->FrameRect(R, dxOffice11DropDownBorderColor1, 1, ABorders);
}

void TcxOffice11LookAndFeelPainter::DrawDropDownListBoxBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                                  bool AHasBorders) {
  TRect r = ARect;
  if (AHasBorders) {
    ACanvas->FrameRect(r, dxOffice11DropDownBorderColor1);
    r = cxRectInflate(r, -1);
    ACanvas->FrameRect(r, dxOffice11DropDownBorderColor2);
    r = cxRectInflate(r, -1);
  }
  ACanvas->FillRect(r, dxOffice11MenuColor);
}

void TcxOffice11LookAndFeelPainter::DrawDropDownListBoxScaledGutterBackground(
    TcxCanvas* ACanvas, const TRect& ARect, TdxScaleFactor* /*AScaleFactor*/) {
  Office11FillTubeGradientRect(ACanvas->Handle(), ARect, dxOffice11MenuIndentColor1,
                               dxOffice11MenuIndentColor2, true);
}

void TcxOffice11LookAndFeelPainter::DrawDropDownListBoxScaledSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                                       const TRect& /*AGutterRect*/,
                                                                       TdxScaleFactor* /*AScaleFactor*/) {
  ACanvas->FillRect(ARect, dxOffice11SelectedColor1);
  Office11FrameSelectedRect(ACanvas->Handle(), ARect);
}

void TcxOffice11LookAndFeelPainter::DrawDropDownListBoxScaledSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                                       const TRect& AGutterRect,
                                                                       TdxScaleFactor* /*AScaleFactor*/) {
  const int32_t y = (ARect.Top + ARect.Bottom) / 2;
  ACanvas->FillRect(TRect{AGutterRect.Right + 8, y, ARect.Right, y + 1}, dxOffice11BarSeparatorColor1);
}

void TcxOffice11LookAndFeelPainter::DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R,
                                                              TcxButtonState AState,
                                                              TdxScaleFactor* /*AScaleFactor*/) {
  ACanvas->FrameRect(R, dxOffice11ControlBorderColor);
  const TRect inner = cxRectInflate(R, -1);
  if (AState == cxbsHot)
    Office11FillTubeGradientRect(ACanvas->Handle(), inner, dxOffice11SelectedColor1, dxOffice11SelectedColor2,
                                 false);
  else if (AState == cxbsPressed)
    Office11FillTubeGradientRect(ACanvas->Handle(), inner, dxOffice11DownedColor, dxOffice11SelectedColor1,
                                 false);
}

void TcxOffice11LookAndFeelPainter::DrawAlertWindowBackground(TcxCanvas* ACanvas, const TRect& ABounds,
                                                              TdxScaleFactor* /*AScaleFactor*/) {
  ACanvas->FrameRect(ABounds, dxOffice11ControlBorderColor);
  FillGradientRect(ACanvas->Handle(), cxRectInflate(ABounds, -1), dxOffice11DockColor2, dxOffice11DockColor1,
                   false);
}

// --- Header colours ------------------------------------------------------------------------------------

TColor TcxOffice11LookAndFeelPainter::HeaderBottomColor() {
  return dxOffice11ToolbarsColor2;
}

TColor TcxOffice11LookAndFeelPainter::HeaderDarkEdgeColor() {
  return dxOffice11BarSeparatorColor1;
}

TColor TcxOffice11LookAndFeelPainter::HeaderHighlightEdgeColor() {
  return dxOffice11BarSeparatorColor2;
}

TColor TcxOffice11LookAndFeelPainter::HeaderTopColor() {
  return dxGetMiddleRGB(dxOffice11ToolbarsColor1, dxOffice11ToolbarsColor2, 50);
}

}  // namespace qd
