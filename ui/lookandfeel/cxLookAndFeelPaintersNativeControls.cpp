// The Native painter's track bars, filter, zoom and back buttons, command links, hints, popups,
// the scheduler and the remaining controls.
#include "platform/os/gdi.h"
#include "platform/os/user.h"
#include "platform/os/uxtheme.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxCore.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/core/dxUxTheme.h"
#include "ui/graphics/cxGraphicsBlend.h"
#include "ui/graphics/cxGraphicsPrint.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersNative.h"

namespace qd {

namespace {

// Indexed by TcxButtonState (default, normal, hot, pressed, disabled).
constexpr int kNativeFilterCloseStates[] = {1, 1, 2, 3, 4};
constexpr int kNativeFilterDropDownStates[] = {1, 1, 2, 3, 4};
constexpr int kNativeSchedulerNavigatorStates[] = {2, 2, 5, 3, 4};
constexpr int kNativeBackButtonStates[] = {1, 1, 2, 3, 4};
constexpr int kNativeTrackBarThumbStates[] = {2, 1, 2, 3, 5};
constexpr int kNativeTrackBarTrackParts[] = {2, 1};  // by horizontal
constexpr int kNativeBevelLineParts[] = {6, 5};      // by vertical
constexpr int kNativeNavigationContentStates[] = {1, 1, 2, 3, 4};
// The turn of a vertical navigation button, by next button.
constexpr TcxRotationAngle kNativeNavigationRotations[] = {raMinus90, raPlus90};
// By ticks alignment (up, down, both), then horizontal.
constexpr int kNativeTrackBarThumbParts[3][2] = {{7, 5}, {8, 4}, {6, 3}};

}  // namespace

// --- Colours and metrics -------------------------------------------------------------------------

TColor TcxWinXPLookAndFeelPainter::DefaultSchedulerViewContentColor() {
  return static_cast<TColor>(0xFFFFFF);
}

TColor TcxWinXPLookAndFeelPainter::DefaultSchedulerViewContentColorClassic() {
  return static_cast<TColor>(0xD5FFFF);
}

TColor TcxWinXPLookAndFeelPainter::DefaultLayoutViewContentTextColor(TcxButtonState AState) {
  return OpenTheme(totTab) ? clMenuText : inherited::DefaultLayoutViewContentTextColor(AState);
}

TColor TcxWinXPLookAndFeelPainter::DefaultLayoutViewCaptionTextColor(
    TcxGroupBoxCaptionPosition ACaptionPosition, TcxButtonState AState) {
  return OpenTheme(totTab) ? DefaultTabTextColor()
                           : inherited::DefaultLayoutViewCaptionTextColor(ACaptionPosition, AState);
}

TColor TcxWinXPLookAndFeelPainter::DefaultCommandLinkTextColor(TcxButtonState AState, TColor ADefaultColor) {
  TColor color = clDefault;
  if (IsWinVistaOrLater() &&
      cxGetThemeColor(totButton, 6, BtnStateToXPBtnState(AState), TMT_TEXTCOLOR, color))
    return color;
  return inherited::DefaultCommandLinkTextColor(AState, ADefaultColor);
}

TSize TcxWinXPLookAndFeelPainter::GetScaledCommandLinkGlyphSize(TdxScaleFactor* AScaleFactor) {
  const HTHEME theme = IsWinVistaOrLater() ? OpenTheme(totButton) : 0;
  TSize size;
  if (theme && ThemePartSize(theme, 7, 0, TS_TRUE, size)) return size;
  return inherited::GetScaledCommandLinkGlyphSize(AScaleFactor);
}

TRect TcxWinXPLookAndFeelPainter::GetScaledCommandLinkMargins(TdxScaleFactor* AScaleFactor) {
  const HTHEME theme = IsWinVistaOrLater() ? OpenTheme(totButton) : 0;
  TRect margins;
  if (theme && ThemeMargins(theme, 6, 0, TMT_CONTENTMARGINS, margins)) return AScaleFactor->Apply(margins);
  return inherited::GetScaledCommandLinkMargins(AScaleFactor);
}

TPoint TcxWinXPLookAndFeelPainter::ScaledFilterActivateButtonSize(TdxScaleFactor* AScaleFactor) {
  const HTHEME theme = OpenTheme(totButton);
  TSize size;
  if (theme && ThemePartSize(theme, 3, 5, TS_TRUE, size))
    return AScaleFactor->Apply(TPoint{size.cx, size.cy});
  return inherited::ScaledFilterActivateButtonSize(AScaleFactor);
}

TPoint TcxWinXPLookAndFeelPainter::ScaledFilterCloseButtonSize(TdxScaleFactor* AScaleFactor) {
  if (!OpenTheme(totWindow)) return inherited::ScaledFilterCloseButtonSize(AScaleFactor);
  const TSize size = ScaledSmallCloseButtonSize(AScaleFactor);
  const int32_t extra = AScaleFactor->Apply(4);
  return TPoint{size.cx + extra, size.cy + extra};
}

int32_t TcxWinXPLookAndFeelPainter::GetEditPopupWindowBorderWidth(TcxEditPopupBorderStyle /*AStyle*/) {
  return 1;
}

int32_t TcxWinXPLookAndFeelPainter::GetEditPopupWindowClientEdgeWidth(TcxEditPopupBorderStyle /*AStyle*/) {
  return 2;
}

TColor TcxWinXPLookAndFeelPainter::ScreenTipGetDescriptionTextColor() {
  TColor color = clDefault;
  if (cxGetThemeColor(totToolTip, 1, 1, TMT_TEXTCOLOR, color)) return color;
  return inherited::ScreenTipGetDescriptionTextColor();
}

TColor TcxWinXPLookAndFeelPainter::ScreenTipGetTitleTextColor() {
  return ScreenTipGetDescriptionTextColor();
}

TRect TcxWinXPLookAndFeelPainter::SchedulerEventProgressOffsets() {
  return TRect{3, 3, 3, 3};
}

TSize TcxWinXPLookAndFeelPainter::NativeZoomButtonSize(TcxBitmap32* AGlyph, TdxScaleFactor* AScaleFactor) {
  const HTHEME theme = OpenTheme(totButton);
  TRect margins;
  if (!theme || !ThemeMargins(theme, 1, 0, TMT_CONTENTMARGINS, margins)) return TSize{};
  return AScaleFactor->Apply(
      TSize{AGlyph->Width() + margins.Left + margins.Right, AGlyph->Height() + margins.Top + margins.Bottom});
}

TSize TcxWinXPLookAndFeelPainter::GetScaledZoomInButtonSize(TdxScaleFactor* AScaleFactor) {
  const TSize size = NativeZoomButtonSize(FZoomInButtonGlyph.get(), AScaleFactor);
  return size.cx > 0 ? size : inherited::GetScaledZoomInButtonSize(AScaleFactor);
}

TSize TcxWinXPLookAndFeelPainter::GetScaledZoomOutButtonSize(TdxScaleFactor* AScaleFactor) {
  const TSize size = NativeZoomButtonSize(FZoomOutButtonGlyph.get(), AScaleFactor);
  return size.cx > 0 ? size : inherited::GetScaledZoomOutButtonSize(AScaleFactor);
}

TSize TcxWinXPLookAndFeelPainter::GetScaledBackButtonSize(TdxScaleFactor* AScaleFactor) {
  const HTHEME theme = OpenTheme(totNavigation);
  TSize size;
  if (theme && ThemePartSize(theme, 1, 0, TS_TRUE, size))
    return AScaleFactor->Apply(size, dxSystemScaleFactor());
  return inherited::GetScaledBackButtonSize(AScaleFactor);
}

TPoint TcxWinXPLookAndFeelPainter::NavigatorButtonPressedGlyphOffset() {
  return TPoint{0, 0};
}

TSize TcxWinXPLookAndFeelPainter::NavigatorScaledButtonMinSize(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(TSize{18, 19});
}

TColor TcxWinXPLookAndFeelPainter::ToggleSwitchToggleColor(bool AChecked) {
  return static_cast<TColor>(AChecked ? 0xA0A0A0 : 0xC8C8C8);
}

TSize TcxWinXPLookAndFeelPainter::GetBevelMinimalShapeSize(TdxBevelShape /*AShape*/) {
  return TSize{6, 6};
}

// --- Drawing -------------------------------------------------------------------------------------

// The button is a tab item drawn over a copy of what lies under it, turned so that the tab's
// open side faces the scheduler's content.
void TcxWinXPLookAndFeelPainter::DrawSchedulerNavigationButtonContent(TcxCanvas* ACanvas, const TRect& ARect,
                                                                      const TRect& AArrowRect,
                                                                      bool AIsNextButton,
                                                                      TcxButtonState AState,
                                                                      bool AIsVertical) {
  const HTHEME theme = OpenTheme(totTab);
  if (!theme || ARect.IsEmpty()) {
    inherited::DrawSchedulerNavigationButtonContent(ACanvas, ARect, AArrowRect, AIsNextButton, AState,
                                                    AIsVertical);
    return;
  }
  TcxBitmap32 bitmap(ARect.Width(), ARect.Height());
  cxBitBlt(bitmap.Canvas()->Handle(), ACanvas->Handle(), bitmap.ClientRect(), ARect.TopLeft(), SRCCOPY);
  if (AIsVertical) bitmap.Rotate(kNativeNavigationRotations[!AIsNextButton]);
  dxUxTheme::DrawThemeBackground(theme, bitmap.Canvas()->Handle(), 1, kNativeNavigationContentStates[AState],
                                 bitmap.ClientRect());
  if (AIsVertical)
    bitmap.Rotate(kNativeNavigationRotations[AIsNextButton]);
  else if (!AIsNextButton)
    bitmap.Rotate(ra180);
  cxBitBlt(ACanvas->Handle(), bitmap.Canvas()->Handle(), ARect, TPoint{0, 0}, SRCCOPY);
  DrawSchedulerNavigationButtonArrow(ACanvas, AArrowRect, AIsNextButton, ButtonSymbolColor(AState),
                                     AIsVertical);
}

void TcxWinXPLookAndFeelPainter::DrawScaledCommandLinkBackground(TcxCanvas* ACanvas, const TRect& R,
                                                                 TcxButtonState AState,
                                                                 TdxScaleFactor* AScaleFactor,
                                                                 TColor AColor) {
  if (const HTHEME theme = IsWinVistaOrLater() ? OpenTheme(totButton) : 0) {
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 6, BtnStateToXPBtnState(AState), R);
    return;
  }
  // The Flat painter's button; without it the base drawing (the registry may lack it).
  TcxCustomLookAndFeelPainter* flat =
      cxLookAndFeelPaintersManager() ? cxLookAndFeelPaintersManager()->GetPainter(lfsFlat) : nullptr;
  if (flat)
    flat->DrawScaledButton(ACanvas, R, String(), AState, AScaleFactor,
                           AState == cxbsHot || AState == cxbsPressed, AColor);
  else
    inherited::DrawScaledCommandLinkBackground(ACanvas, R, AState, AScaleFactor, AColor);
}

void TcxWinXPLookAndFeelPainter::DrawScaledCommandLinkGlyph(TcxCanvas* ACanvas, const TPoint& AGlyphPos,
                                                            TcxButtonState AState,
                                                            TdxScaleFactor* AScaleFactor) {
  const HTHEME theme = IsWinVistaOrLater() ? OpenTheme(totButton) : 0;
  if (!theme) {
    inherited::DrawScaledCommandLinkGlyph(ACanvas, AGlyphPos, AState, AScaleFactor);
    return;
  }
  const TSize size = GetScaledCommandLinkGlyphSize(AScaleFactor);
  const TRect r = Bounds(AGlyphPos.X, AGlyphPos.Y, size.cx, size.cy);
  cxRightToLeftDependentDraw(ACanvas, r, [&] {
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 7, BtnStateToXPBtnState(AState), r);
  });
}

void TcxWinXPLookAndFeelPainter::DrawScaledFilterCloseButton(TcxCanvas* ACanvas, const TRect& R,
                                                             TcxButtonState AState,
                                                             TdxScaleFactor* AScaleFactor) {
  if (const HTHEME theme = OpenTheme(totWindow))
    DrawScaledThemeBackground(theme, ACanvas->Handle(), 19, kNativeFilterCloseStates[AState], R, AScaleFactor,
                              !AScaleFactor->Equals(dxDefaultScaleFactor()), true);
  else
    inherited::DrawScaledFilterCloseButton(ACanvas, R, AState, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawScaledFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R,
                                                                TcxButtonState AState, bool AIsFilterActive,
                                                                TdxScaleFactor* AScaleFactor) {
  if (const HTHEME theme = OpenTheme(totComboBox))
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 1, kNativeFilterDropDownStates[AState], R);
  else
    inherited::DrawScaledFilterDropDownButton(ACanvas, R, AState, AIsFilterActive, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawFindPanelBorder(TcxCanvas* /*ACanvas*/, const TRect& /*R*/,
                                                     const TcxBorders& /*ABorders*/) {}

void TcxWinXPLookAndFeelPainter::DrawEditPopupWindowBorder(TcxCanvas* ACanvas, TRect& R,
                                                           TcxEditPopupBorderStyle /*ABorderStyle*/,
                                                           bool /*AClientEdge*/) {
  const HTHEME theme = IsWinVistaOrLater() ? OpenTheme(totListBox) : 0;
  if (theme)
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 3, 3, R);
  else
    ACanvas->FrameRect(R, clBtnText);
  R = cxRectInflate(R, -1);
}

void TcxWinXPLookAndFeelPainter::DrawHintBackground(TcxCanvas* ACanvas, const TRect& ARect, TColor AColor) {
  if (const HTHEME theme = OpenTheme(totToolTip))
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 1, 1, cxRectInflate(ARect, 4));
  else
    inherited::DrawHintBackground(ACanvas, ARect, AColor);
}

void TcxWinXPLookAndFeelPainter::DrawScaledIndicatorItem(TcxCanvas* ACanvas, const TRect& R,
                                                         TcxIndicatorKind AKind, TColor AColor,
                                                         TdxScaleFactor* AScaleFactor,
                                                         const TcxDrawBackgroundEvent& AOnDrawBackground) {
  TcxCustomLookAndFeelPainter* flat =
      cxLookAndFeelPaintersManager() ? cxLookAndFeelPaintersManager()->GetPainter(lfsFlat) : nullptr;
  if (flat)
    flat->DrawScaledIndicatorItem(ACanvas, R, AKind, AColor, AScaleFactor, AOnDrawBackground);
  else
    inherited::DrawScaledIndicatorItem(ACanvas, R, AKind, AColor, AScaleFactor, AOnDrawBackground);
}

void TcxWinXPLookAndFeelPainter::DrawSchedulerEventProgress(TcxCanvas* ACanvas, const TRect& ABounds,
                                                            const TRect& AProgress,
                                                            const TcxViewParams& AViewParams,
                                                            bool ATransparent) {
  const HTHEME theme = OpenTheme(totProgress);
  if (!theme) {
    inherited::DrawSchedulerEventProgress(ACanvas, ABounds, AProgress, AViewParams, ATransparent);
    return;
  }
  dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 1, 0, ABounds);
  dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 3, 0, AProgress);
}

void TcxWinXPLookAndFeelPainter::DrawSchedulerScaledNavigatorButton(TcxCanvas* ACanvas, const TRect& R,
                                                                    TcxButtonState AState,
                                                                    TdxScaleFactor* AScaleFactor) {
  if (const HTHEME theme = OpenTheme(totToolBar))
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 1, kNativeSchedulerNavigatorStates[AState], R);
  else
    inherited::DrawSchedulerScaledNavigatorButton(ACanvas, R, AState, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawSchedulerSplitterBorder(TcxCanvas* ACanvas, const TRect& R,
                                                             const TcxViewParams& AViewParams,
                                                             bool AIsHorizontal) {
  TColor border = clDefault;
  if (!OpenTheme(totListView) || !cxGetThemeColor(totComboBox, 1, 1, TMT_BORDERCOLOR, border)) {
    inherited::DrawSchedulerSplitterBorder(ACanvas, R, AViewParams, AIsHorizontal);
    return;
  }
  TRect r = R;
  if (AIsHorizontal) {
    ACanvas->FillRect(TRect{r.Left, r.Top, r.Right, r.Top + 1}, border);
    ACanvas->FillRect(TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom}, border);
    r = TRect{r.Left - 1, r.Top + 1, r.Right + 1, r.Bottom - 1};
  } else {
    ACanvas->FillRect(TRect{r.Left, r.Top, r.Left + 1, r.Bottom}, border);
    ACanvas->FillRect(TRect{r.Right - 1, r.Top, r.Right, r.Bottom}, border);
    r = TRect{r.Left + 1, r.Top - 1, r.Right - 1, r.Bottom + 1};
  }
  ACanvas->FillRect(r, AViewParams);
}

void TcxWinXPLookAndFeelPainter::NativeZoomButtonDraw(TcxCanvas* ACanvas, const TRect& R,
                                                      TcxButtonState AState, TcxBitmap32* AGlyph,
                                                      TdxScaleFactor* AScaleFactor) {
  const HTHEME theme = OpenTheme(totButton);
  dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 1, BtnStateToXPBtnState(AState), R);
  const TSize size = AScaleFactor->Apply(TSize{AGlyph->Width(), AGlyph->Height()});
  const TRect glyph =
      Bounds(R.Left + (R.Width() - size.cx) / 2, R.Top + (R.Height() - size.cy) / 2, size.cx, size.cy);
  cxAlphaBlend(ACanvas->Handle(), AGlyph, glyph, AGlyph->ClientRect(), true, 255);
}

void TcxWinXPLookAndFeelPainter::DrawScaledZoomInButton(TcxCanvas* ACanvas, const TRect& R,
                                                        TcxButtonState AState, TdxScaleFactor* AScaleFactor) {
  if (OpenTheme(totButton))
    NativeZoomButtonDraw(ACanvas, R, AState, FZoomInButtonGlyph.get(), AScaleFactor);
  else
    inherited::DrawScaledZoomInButton(ACanvas, R, AState, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawScaledZoomOutButton(TcxCanvas* ACanvas, const TRect& R,
                                                         TcxButtonState AState,
                                                         TdxScaleFactor* AScaleFactor) {
  if (OpenTheme(totButton))
    NativeZoomButtonDraw(ACanvas, R, AState, FZoomOutButtonGlyph.get(), AScaleFactor);
  else
    inherited::DrawScaledZoomOutButton(ACanvas, R, AState, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawScaledBackButton(TcxCanvas* ACanvas, const TRect& R,
                                                      TcxButtonState AState, TdxScaleFactor* AScaleFactor) {
  if (const HTHEME theme = OpenTheme(totNavigation))
    DrawScaledThemeBackground(theme, ACanvas->Handle(), 1, kNativeBackButtonStates[AState], R, AScaleFactor,
                              false, true);
  else
    inherited::DrawScaledBackButton(ACanvas, R, AState, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, TRect& R) {
  if (const HTHEME theme = OpenTheme(totHeader))
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 2, 1, R);
}

void TcxWinXPLookAndFeelPainter::DrawScaledToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds,
                                                             TcxButtonState /*AState*/, bool AChecked,
                                                             TdxScaleFactor* /*AScaleFactor*/) {
  // An axis-aligned rectangle with a one-pixel outline: the same pixels with or without
  // anti-aliasing.
  ACanvas->FillRect(ABounds, ToggleSwitchToggleColor(AChecked));
  ACanvas->FrameRect(ABounds, static_cast<TColor>(0x707070));
}

void TcxWinXPLookAndFeelPainter::DrawScaledToggleSwitchThumb(TcxCanvas* ACanvas, const TRect& ABounds,
                                                             TcxButtonState AState,
                                                             TdxScaleFactor* AScaleFactor) {
  DrawScaledButton(ACanvas, cxRectInflate(ABounds, -1), String(), AState, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawPanelBackground(TcxCanvas* ACanvas, TWinControl* AControl,
                                                     const TRect& ABounds, TColor AColorFrom,
                                                     TColor /*AColorTo*/) {
  if (AColorFrom == clDefault) {
    if (AControl) cxDrawTransparentControlBackground(AControl, ACanvas, ABounds);
  } else {
    ACanvas->FillRect(ABounds, AColorFrom);
  }
}

void TcxWinXPLookAndFeelPainter::CorrectThumbRect(TcxCanvas* ACanvas, TRect& ARect, bool AHorizontal,
                                                  TcxTrackBarTicksAlign ATicks) {
  const HTHEME theme = OpenTheme(totTrackBar);
  if (!theme) {
    inherited::CorrectThumbRect(ACanvas, ARect, AHorizontal, ATicks);
    return;
  }
  SIZE size{};
  if (FAILED(dxUxTheme::GetThemePartSize(theme, ACanvas->Handle(),
                                         kNativeTrackBarThumbParts[ATicks][AHorizontal], 1, TS_DRAW, &size)))
    return;
  const int32_t dx = (ARect.Width() - size.cx) / 2;
  const int32_t dy = (ARect.Height() - size.cy) / 2;
  ARect = Bounds(ARect.Left + dx, ARect.Top + dy, size.cx, size.cy);
}

void TcxWinXPLookAndFeelPainter::DrawTrackBarScaledTrack(TcxCanvas* ACanvas, const TRect& ARect,
                                                         const TRect& ASelection, bool AShowSelection,
                                                         bool AEnabled, bool AHorizontal, TColor ATrackColor,
                                                         TdxScaleFactor* AScaleFactor) {
  if (const HTHEME theme = OpenTheme(totTrackBar))
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), kNativeTrackBarTrackParts[AHorizontal], 1,
                                   ARect);
  else
    inherited::DrawTrackBarScaledTrack(ACanvas, ARect, ASelection, AShowSelection, AEnabled, AHorizontal,
                                       ATrackColor, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawTrackBarScaledThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                         TcxButtonState AState, bool AHorizontal,
                                                         TcxTrackBarTicksAlign ATicks, TColor AThumbColor,
                                                         TdxScaleFactor* AScaleFactor) {
  if (const HTHEME theme = OpenTheme(totTrackBar))
    DrawScaledThemeBackground(theme, ACanvas->Handle(), kNativeTrackBarThumbParts[ATicks][AHorizontal],
                              kNativeTrackBarThumbStates[AState], ARect, AScaleFactor, false, true);
  else
    inherited::DrawTrackBarScaledThumb(ACanvas, ARect, AState, AHorizontal, ATicks, AThumbColor,
                                       AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawNativeRangeTrackBarThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                              TcxButtonState AState, bool AHorizontal,
                                                              TColor AThumbColor,
                                                              TdxScaleFactor* AScaleFactor) {
  TRect r = ARect;
  if (IsWinVistaOrLater()) {
    if (AHorizontal)
      ++r.Right;
    else
      ++r.Bottom;
  }
  DrawTrackBarScaledThumb(ACanvas, r, AState, AHorizontal, tbtaBoth, AThumbColor, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawRangeTrackBarScaledLeftThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                                  TcxButtonState AState, bool AHorizontal,
                                                                  TcxTrackBarTicksAlign /*ATicks*/,
                                                                  TColor AThumbColor,
                                                                  TdxScaleFactor* AScaleFactor) {
  DrawNativeRangeTrackBarThumb(ACanvas, ARect, AState, AHorizontal, AThumbColor, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawRangeTrackBarScaledRightThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                                   TcxButtonState AState, bool AHorizontal,
                                                                   TcxTrackBarTicksAlign /*ATicks*/,
                                                                   TColor AThumbColor,
                                                                   TdxScaleFactor* AScaleFactor) {
  DrawNativeRangeTrackBarThumb(ACanvas, ARect, AState, AHorizontal, AThumbColor, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawBevelFrame(TcxCanvas* ACanvas, const TRect& R, TColor AColor1,
                                                TColor AColor2, bool ABoxStyle) {
  if (const HTHEME theme = OpenTheme(totButton))
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 4, 1, R);
  else
    inherited::DrawBevelFrame(ACanvas, R, AColor1, AColor2, ABoxStyle);
}

void TcxWinXPLookAndFeelPainter::DrawBevelLine(TcxCanvas* ACanvas, const TRect& R, TColor AColor1,
                                               TColor AColor2, bool AIsVertical) {
  if (const HTHEME theme = OpenTheme(totToolBar))
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), kNativeBevelLineParts[AIsVertical], 1, R);
  else
    inherited::DrawBevelLine(ACanvas, R, AColor1, AColor2, AIsVertical);
}

}  // namespace qd
