// The Native painter's views, drop-down list boxes, breadcrumb edits, tokens, calendars, wheel
// pickers and galleries.
#include "platform/os/gdi.h"
#include "platform/os/user.h"
#include "platform/os/uxtheme.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxCore.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/core/dxUxTheme.h"
#include "ui/graphics/dxSmartImage.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersNative.h"

namespace qd {

namespace {

constexpr int kNativeNone = 0;
// By TcxButtonState (default, normal, hot, pressed, disabled).
constexpr int kNativeLayoutCaptionStates[] = {1, 1, 2, 3, 5};
constexpr int kNativeTokenStates[] = {kNativeNone, kNativeNone, 2, 3, kNativeNone};
// By TdxBreadcrumbEditButtonState (normal, focused, hot, pressed, disabled).
constexpr int kNativeBreadcrumbButtonStates[] = {kNativeNone, 1, 2, 3, kNativeNone};
// By TdxBreadcrumbEditState (normal, focused, hot, disabled).
constexpr int kNativeBreadcrumbBorderStates[] = {1, 5, 2, 4};

TRect NativeListsGrow(const TRect& R, const TRect& AMargins) {
  return TRect{R.Left - AMargins.Left, R.Top - AMargins.Top, R.Right + AMargins.Right,
               R.Bottom + AMargins.Bottom};
}

bool NativeListsHotOrPressed(TcxButtonState AState) {
  return AState == cxbsHot || AState == cxbsPressed;
}

}  // namespace

// --- Colours and metrics -------------------------------------------------------------------------

TColor TcxWinXPLookAndFeelPainter::WinExplorerViewRecordTextColor(TcxButtonState AState) {
  return OpenTheme(totTab) ? DefaultTabTextColor() : inherited::WinExplorerViewRecordTextColor(AState);
}

TColor TcxWinXPLookAndFeelPainter::BreadcrumbEditBackgroundColor(TdxBreadcrumbEditState /*AState*/) {
  return DefaultContentColor();
}

TRect TcxWinXPLookAndFeelPainter::BreadcrumbEditBordersSize() {
  return TRect{1, 1, 1, 1};
}

bool TcxWinXPLookAndFeelPainter::BreadcrumbEditIsFadingSupports() {
  return true;
}

TRect TcxWinXPLookAndFeelPainter::BreadcrumbEditScaledButtonContentOffsets(bool AIsFirst, bool AIsLast,
                                                                           TdxScaleFactor* AScaleFactor) {
  const HTHEME theme = OpenTheme(totButton);
  TRect margins;
  if (theme && ThemeMargins(theme, 1, 0, TMT_CONTENTMARGINS, margins))
    return AScaleFactor->Apply(margins, dxSystemScaleFactor());
  return inherited::BreadcrumbEditScaledButtonContentOffsets(AIsFirst, AIsLast, AScaleFactor);
}

TRect TcxWinXPLookAndFeelPainter::BreadcrumbEditScaledProgressChunkPadding(TdxScaleFactor* /*AScaleFactor*/) {
  return TRect{};
}

TSize TcxWinXPLookAndFeelPainter::BreadcrumbEditScaledProgressChunkOverlaySize(TdxScaleFactor* AScaleFactor) {
  const HTHEME theme = IsWinVistaOrLater() ? OpenTheme(totProgress) : 0;
  TSize size;
  if (theme && ThemePartSize(theme, 8, 0, TS_TRUE, size))
    return AScaleFactor->Apply(size, dxSystemScaleFactor());
  return inherited::BreadcrumbEditScaledProgressChunkOverlaySize(AScaleFactor);
}

TColor TcxWinXPLookAndFeelPainter::DropDownListBoxItemTextColor(bool ASelected) {
  TColor color = clDefault;
  if (cxGetThemeColor(totMenu, 14, 1, TMT_TEXTCOLOR, color)) return color;
  return inherited::DropDownListBoxItemTextColor(ASelected);
}

int32_t TcxWinXPLookAndFeelPainter::DropDownListBoxScaledSeparatorSize(TdxScaleFactor* AScaleFactor) {
  const HTHEME theme = OpenTheme(totMenu);
  TSize size;
  if (theme && ThemePartSize(theme, 15, 0, TS_TRUE, size)) return size.cy;
  return inherited::DropDownListBoxScaledSeparatorSize(AScaleFactor);
}

int32_t TcxWinXPLookAndFeelPainter::AlertWindowCornerRadius() {
  return 5;
}

bool TcxWinXPLookAndFeelPainter::DrawGalleryItemSelectionFirst() {
  return OpenTheme(totExplorerListView) ? true : inherited::DrawGalleryItemSelectionFirst();
}

TColor TcxWinXPLookAndFeelPainter::GetModernCalendarHeaderTextColor(const TcxCalendarElementStates& AStates) {
  TColor color = clDefault;
  if (cxGetThemeColor(totTextStyle, 6, 1, TMT_TEXTCOLOR, color)) return color;
  return inherited::GetModernCalendarHeaderTextColor(AStates);
}

TSize TcxWinXPLookAndFeelPainter::ScaledClockSize(TdxScaleFactor* AScaleFactor) {
  TdxSmartImage* face = GetClockFace();
  return AScaleFactor->Apply(TSize{face->Width(), face->Height()});
}

// --- Views ------------------------------------------------------------------------------------------

void TcxWinXPLookAndFeelPainter::LayoutViewDrawItem(TcxCanvas* ACanvas, const TRect& ABounds,
                                                    TcxButtonState AState, const TcxBorders& ABorders) {
  const HTHEME theme = OpenTheme(totMenu);
  if (theme && (NativeListsHotOrPressed(AState) || AState == cxbsDisabled))
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 14, AState == cxbsDisabled ? 4 : 2, ABounds);
  else
    inherited::LayoutViewDrawItem(ACanvas, ABounds, AState, ABorders);
}

void TcxWinXPLookAndFeelPainter::WinExplorerViewDrawRecord(TcxCanvas* ACanvas, const TRect& ABounds,
                                                           TcxButtonState AState, TColor AColor,
                                                           TBitmap* ABitmap) {
  const HTHEME theme = OpenTheme(totMenu);
  if (theme && (NativeListsHotOrPressed(AState) || AState == cxbsDisabled))
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 14, AState == cxbsDisabled ? 4 : 2, ABounds);
  else
    inherited::WinExplorerViewDrawRecord(ACanvas, ABounds, AState, AColor, ABitmap);
}

void TcxWinXPLookAndFeelPainter::LayoutViewDrawRecordCaption(TcxCanvas* ACanvas, const TRect& ABounds,
                                                             const TRect& ATextRect,
                                                             TcxGroupBoxCaptionPosition APosition,
                                                             TcxButtonState AState, TColor AColor,
                                                             TBitmap* ABitmap) {
  const HTHEME theme = OpenTheme(totTab);
  if (!theme) {
    inherited::LayoutViewDrawRecordCaption(ACanvas, ABounds, ATextRect, APosition, AState, AColor, ABitmap);
    return;
  }
  LayoutViewDrawRecordBorder(ACanvas, ABounds, AState, cxBordersAll);
  DrawThemedTab(ACanvas, ABounds, TcxBorders{}, String(), theme, kNativeLayoutCaptionStates[AState],
                APosition != cxgpTop, nullptr, clDefault, clDefault, false);
}

void TcxWinXPLookAndFeelPainter::DrawScaledClock(TcxCanvas* ACanvas, const TRect& ARect, TDateTime ADateTime,
                                                 TColor ABackgroundColor, TdxScaleFactor* AScaleFactor) {
  DrawModernCalendarClock(ACanvas, ARect, ADateTime, ABackgroundColor, AScaleFactor);
}

// --- Drop-down list boxes ------------------------------------------------------------------------

void TcxWinXPLookAndFeelPainter::DrawDropDownListBoxBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                               bool AHasBorders) {
  if (!AreVisualStylesAvailable()) {
    inherited::DrawDropDownListBoxBackground(ACanvas, ARect, AHasBorders);
    return;
  }
  TRect r = ARect;
  if (AHasBorders) {
    TColor outer = clBtnShadow;
    TColor inner = clBtnHighlight;
    cxGetThemeColor(totMenu, 9, 0, TMT_EDGELIGHTCOLOR, outer);
    cxGetThemeColor(totMenu, 9, 0, TMT_EDGEHIGHLIGHTCOLOR, inner);
    ACanvas->FrameRect(r, outer);
    r = cxRectInflate(r, -1);
    ACanvas->FrameRect(r, inner);
    r = cxRectInflate(r, -1);
  }
  if (const HTHEME theme = OpenTheme(totMenu))
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 9, 0, r);
  else
    ACanvas->FillRect(r, clWindow);
}

void TcxWinXPLookAndFeelPainter::DrawDropDownListBoxScaledGutterBackground(TcxCanvas* ACanvas,
                                                                           const TRect& ARect,
                                                                           TdxScaleFactor* AScaleFactor) {
  if (const HTHEME theme = OpenTheme(totMenu))
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 13, 0, ARect);
  else
    inherited::DrawDropDownListBoxScaledGutterBackground(ACanvas, ARect, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawDropDownListBoxScaledSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                                    const TRect& AGutterRect,
                                                                    TdxScaleFactor* AScaleFactor) {
  if (const HTHEME theme = OpenTheme(totMenu))
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 14, 2, ARect);
  else
    inherited::DrawDropDownListBoxScaledSelection(ACanvas, ARect, AGutterRect, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawDropDownListBoxScaledSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                                    const TRect& AGutterRect,
                                                                    TdxScaleFactor* AScaleFactor) {
  const HTHEME theme = OpenTheme(totMenu);
  if (!theme) {
    inherited::DrawDropDownListBoxScaledSeparator(ACanvas, ARect, AGutterRect, AScaleFactor);
    return;
  }
  TSize size;
  if (!ThemePartSize(theme, 15, 0, TS_TRUE, size)) size = TSize{};
  const int32_t top = ARect.Top + (ARect.Height() - size.cy) / 2;
  dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 15, 0,
                                 TRect{AGutterRect.Right + 2, top, ARect.Right, top + size.cy});
}

// --- Breadcrumb edits ------------------------------------------------------------------------------

void TcxWinXPLookAndFeelPainter::DrawBreadcrumbEditBorders(TcxCanvas* ACanvas, const TRect& ARect,
                                                           const TcxBorders& ABorders,
                                                           TdxBreadcrumbEditState AState) {
  const HTHEME theme = OpenTheme(totEdit);
  if (!theme) {
    inherited::DrawBreadcrumbEditBorders(ACanvas, ARect, ABorders, AState);
    return;
  }
  const int part = IsWinVistaOrLater() ? 6 : 1;
  const int state = kNativeBreadcrumbBorderStates[AState];
  if (ABorders == cxBordersAll) {
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), part, state, ARect);
    return;
  }
  // Only the asked sides show: the part is pushed out past the others by its sizing margins.
  TRect margins;
  if (!ThemeMargins(theme, part, state, TMT_SIZINGMARGINS, margins)) margins = TRect{};
  TRect r = ARect;
  if (!ABorders.Contains(bLeft)) r.Left -= margins.Left;
  if (!ABorders.Contains(bTop)) r.Top -= margins.Top;
  if (!ABorders.Contains(bRight)) r.Right += margins.Right;
  if (!ABorders.Contains(bBottom)) r.Bottom += margins.Bottom;
  dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), part, state, r, &ARect);
}

void TcxWinXPLookAndFeelPainter::DrawBreadcrumbEditScaledButtonAreaSeparator(
    TcxCanvas* /*ACanvas*/, const TRect& /*ARect*/, TdxBreadcrumbEditState /*AState*/,
    TdxScaleFactor* /*AScaleFactor*/) {}

void TcxWinXPLookAndFeelPainter::DrawBreadcrumbEditScaledButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                TdxBreadcrumbEditButtonState AState,
                                                                bool AIsFirst, bool AIsLast,
                                                                TdxScaleFactor* AScaleFactor) {
  const HTHEME theme = OpenTheme(totButton);
  if (!theme) {
    inherited::DrawBreadcrumbEditScaledButton(ACanvas, ARect, AState, AIsFirst, AIsLast, AScaleFactor);
    return;
  }
  const int state = kNativeBreadcrumbButtonStates[AState];
  if (state == kNativeNone || ARect.IsEmpty()) return;
  TRect margins = BreadcrumbEditScaledButtonContentOffsets(AIsFirst, AIsLast, AScaleFactor);
  margins.Left = 1;
  margins.Right = 1;
  dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 1, state, NativeListsGrow(ARect, margins), &ARect);
}

void TcxWinXPLookAndFeelPainter::DrawBreadcrumbEditScaledDropDownButton(TcxCanvas* ACanvas,
                                                                        const TRect& ARect,
                                                                        TdxBreadcrumbEditButtonState AState,
                                                                        bool /*AIsInEditor*/,
                                                                        TdxScaleFactor* AScaleFactor) {
  DrawBreadcrumbEditScaledButton(ACanvas, ARect, AState, true, true, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawBreadcrumbEditNodePart(TcxCanvas* ACanvas, const TRect& R,
                                                            TdxBreadcrumbEditButtonState AState,
                                                            const TcxBorders& ABorders,
                                                            TdxScaleFactor* AScaleFactor) {
  const int state = kNativeBreadcrumbButtonStates[AState];
  if (state == kNativeNone || R.IsEmpty()) return;
  TRect margins = BreadcrumbEditScaledButtonContentOffsets(true, true, AScaleFactor);
  if (ABorders.Contains(bLeft)) margins.Left = 1;
  if (ABorders.Contains(bTop)) margins.Top = 1;
  if (ABorders.Contains(bRight)) margins.Right = 1;
  if (ABorders.Contains(bBottom)) margins.Bottom = 1;
  dxUxTheme::DrawThemeBackground(OpenTheme(totButton), ACanvas->Handle(), 1, state,
                                 NativeListsGrow(R, margins), &R);
}

void TcxWinXPLookAndFeelPainter::DrawBreadcrumbEditScaledNode(TcxCanvas* ACanvas, const TRect& R,
                                                              TdxBreadcrumbEditButtonState AState,
                                                              bool AHasDelimiter,
                                                              TdxScaleFactor* AScaleFactor) {
  if (OpenTheme(totButton))
    DrawBreadcrumbEditNodePart(ACanvas, R, AState,
                               AHasDelimiter ? TcxBorders{bLeft} : TcxBorders{bLeft, bRight}, AScaleFactor);
  else
    inherited::DrawBreadcrumbEditScaledNode(ACanvas, R, AState, AHasDelimiter, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawBreadcrumbEditScaledNodeDelimiter(TcxCanvas* ACanvas, const TRect& R,
                                                                       TdxBreadcrumbEditButtonState AState,
                                                                       TdxScaleFactor* AScaleFactor) {
  if (OpenTheme(totButton))
    DrawBreadcrumbEditNodePart(ACanvas, R, AState, TcxBorders{bLeft, bRight}, AScaleFactor);
  else
    inherited::DrawBreadcrumbEditScaledNodeDelimiter(ACanvas, R, AState, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawBreadcrumbEditScaledNodeDelimiterGlyph(
    TcxCanvas* ACanvas, const TRect& R, TdxBreadcrumbEditButtonState AState,
    TdxScaleFactor* /*AScaleFactor*/) {
  TcxArrowDirection direction = ACanvas->UseRightToLeftAlignment() ? adLeft : adRight;
  if (AState == dxbcbsPressed) direction = adDown;
  DrawArrow(ACanvas, cxRectInflate(R, -1), direction, BreadcrumbEditNodeTextColor(AState));
}

void TcxWinXPLookAndFeelPainter::DrawBreadcrumbEditScaledNodeMoreButtonGlyph(
    TcxCanvas* ACanvas, const TRect& R, TdxBreadcrumbEditButtonState AState, TdxScaleFactor* AScaleFactor) {
  DrawCollapseArrow(ACanvas, R, BreadcrumbEditNodeTextColor(AState), AScaleFactor->Apply(2));
}

void TcxWinXPLookAndFeelPainter::DrawBreadcrumbEditScaledProgressChunk(TcxCanvas* ACanvas, const TRect& R,
                                                                       TdxScaleFactor* AScaleFactor) {
  if (const HTHEME theme = OpenTheme(totProgress))
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 3, 1, R);
  else
    inherited::DrawBreadcrumbEditScaledProgressChunk(ACanvas, R, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawBreadcrumbEditScaledProgressChunkOverlay(TcxCanvas* ACanvas,
                                                                              const TRect& R,
                                                                              TdxScaleFactor* AScaleFactor) {
  if (const HTHEME theme = IsWinVistaOrLater() ? OpenTheme(totProgress) : 0)
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 8, 0, R);
  else
    inherited::DrawBreadcrumbEditScaledProgressChunkOverlay(ACanvas, R, AScaleFactor);
}

// --- Calendars, wheel pickers, tokens ------------------------------------------------------------

void TcxWinXPLookAndFeelPainter::DrawModernCalendarDateCellSelection(
    TcxCanvas* ACanvas, const TRect& ARect, const TcxCalendarElementStates& AStates) {
  const HTHEME theme = OpenTheme(totExplorerListView);
  if (!theme) {
    inherited::DrawModernCalendarDateCellSelection(ACanvas, ARect, AStates);
    return;
  }
  const bool hot = AStates.Contains(cesHot);
  const bool selected = AStates.Contains(cesSelected);
  if (hot || selected) {
    int state = 1;
    if (selected && hot)
      state = 6;
    else if (selected && AStates.Contains(cesFocused))
      state = 3;
    else if (selected)
      state = 5;
    else if (hot)
      state = 2;
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 1, state, ARect);
  }
  if (AStates.Contains(cesMarked)) ACanvas->FrameRect(ARect, GetModernCalendarMarkedCellBorderColor());
  if (AStates.Contains(cesFocused)) ACanvas->DrawFocusRect(cxRectInflate(ARect, -1));
}

void TcxWinXPLookAndFeelPainter::DrawWheelPickerItemBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                               TcxButtonState AState) {
  const HTHEME theme = NativeListsHotOrPressed(AState) ? OpenTheme(totExplorerListView) : 0;
  if (theme)
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 1, AState == cxbsPressed ? 3 : 5, ARect);
  else
    inherited::DrawWheelPickerItemBackground(ACanvas, ARect, AState);
}

void TcxWinXPLookAndFeelPainter::DrawWheelPickerItemBorder(TcxCanvas* ACanvas, const TRect& ARect,
                                                           TcxButtonState AState) {
  if (!NativeListsHotOrPressed(AState) || !OpenTheme(totExplorerListView))
    inherited::DrawWheelPickerItemBorder(ACanvas, ARect, AState);
}

void TcxWinXPLookAndFeelPainter::DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R,
                                                           TcxButtonState AState,
                                                           TdxScaleFactor* AScaleFactor) {
  const HTHEME theme = OpenTheme(totButton);
  if (!theme) {
    inherited::DrawScaledTokenBackground(ACanvas, R, AState, AScaleFactor);
    return;
  }
  const int state = kNativeTokenStates[AState];
  if (state == kNativeNone || R.IsEmpty()) return;
  TRect margins;
  if (!ThemeMargins(theme, 1, 0, TMT_CONTENTMARGINS, margins)) margins = TRect{};
  dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 1, state, NativeListsGrow(R, margins), &R);
}

}  // namespace qd
