// The skin painter's operations for breadcrumb editors, range track bars, calendars and date
// navigators, and alert windows.
#include "ui/core/cxGeometry.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/cxGraphicsColors.h"
#include "ui/skins/dxSkinsLookAndFeelPainter.h"
#include "ui/skins/dxSkinsLookAndFeelPainterUtils.h"

namespace qd {

// --- Breadcrumb editors --------------------------------------------------------------------------------

TColor TdxSkinLookAndFeelPainter::BreadcrumbEditBackgroundColor(TdxBreadcrumbEditState AState) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  if (IsColorPropertyAssigned(info->BreadcrumbEditBackgroundColors[AState]))
    return info->BreadcrumbEditBackgroundColors[AState]->Value();
  if (IsColorPropertyAssigned(info->BreadcrumbEditBackgroundColors[dxbcsNormal]))
    return info->BreadcrumbEditBackgroundColors[dxbcsNormal]->Value();
  return inherited::BreadcrumbEditBackgroundColor(AState);
}

void TdxSkinLookAndFeelPainter::DrawBreadcrumbEditBorders(TcxCanvas* ACanvas, const TRect& ARect,
                                                          const TcxBorders& ABorders,
                                                          TdxBreadcrumbEditState AState) {
  const TColor color = BreadcrumbEditBordersColor(AState);
  if (cxColorIsValid(color))
    ACanvas->FrameRect(ARect, color, 1, ABorders);
  else
    inherited::DrawBreadcrumbEditBorders(ACanvas, ARect, ABorders, AState);
}

bool TdxSkinLookAndFeelPainter::DrawBreadcrumbEditButtonElement(TdxSkinElement* AElement, TcxCanvas* ACanvas,
                                                                const TRect& R,
                                                                TdxBreadcrumbEditButtonState AState,
                                                                bool AIsFirst, TdxScaleFactor* AScaleFactor) {
  if (!AElement) return false;
  GetSkinInfo()->SetUseCache(AElement);
  const TdxSkinElementState state = BreadcrumbButtonStateToElementState[AState];
  auto* merge = dynamic_cast<TdxSkinBooleanProperty*>(SkinPainterProperty(AElement, u"MergeBorders"));
  if (!merge || !merge->Value()) return DrawSkinElement(AElement, ACanvas, R, 0, state, AScaleFactor);
  // Neighbouring buttons share their border lines.
  SkinPainterClipScope clip(ACanvas, R);
  const TRect offsets = ContentOffsets(AElement);
  TRect r = cxRectInflate(cxRectInflate(R, -1), offsets);
  if (!(AIsFirst && BreadcrumbEditScaledButtonAreaSeparatorSize(AScaleFactor) > 0))
    r.Left += offsets.Left - 1;
  return DrawSkinElement(AElement, ACanvas, r, 0, state, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawBreadcrumbEditScaledButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                               TdxBreadcrumbEditButtonState AState,
                                                               bool AIsFirst, bool AIsLast,
                                                               TdxScaleFactor* AScaleFactor) {
  if (!DrawBreadcrumbEditButtonElement(GetSkinInfo()->BreadcrumbEditButton, ACanvas, ARect, AState, AIsFirst,
                                       AScaleFactor))
    TcxUltraFlatLookAndFeelPainter::DrawBreadcrumbEditScaledButton(ACanvas, ARect, AState, AIsFirst, AIsLast,
                                                                   AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawBreadcrumbEditScaledDropDownButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                       TdxBreadcrumbEditButtonState AState,
                                                                       bool AIsInEditor,
                                                                       TdxScaleFactor* AScaleFactor) {
  if (!DrawBreadcrumbEditButtonElement(GetSkinInfo()->BreadcrumbEditDropDownButton, ACanvas, ARect, AState,
                                       true, AScaleFactor))
    TcxUltraFlatLookAndFeelPainter::DrawBreadcrumbEditScaledDropDownButton(ACanvas, ARect, AState,
                                                                           AIsInEditor, AScaleFactor);
}

TRect TdxSkinLookAndFeelPainter::BreadcrumbEditScaledButtonContentOffsets(bool AIsFirst, bool AIsLast,
                                                                          TdxScaleFactor* AScaleFactor) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  if (!info->BreadcrumbEditButton)
    return TcxUltraFlatLookAndFeelPainter::BreadcrumbEditScaledButtonContentOffsets(AIsFirst, AIsLast,
                                                                                    AScaleFactor);
  TRect r = ContentOffsets(info->BreadcrumbEditButton);
  if (info->BreadcrumbEditButtonMergeBorders) {
    r.Right = 1;
    if (AIsFirst && BreadcrumbEditScaledButtonAreaSeparatorSize(AScaleFactor) > 0) r.Left = 1;
  }
  return r;
}

int32_t TdxSkinLookAndFeelPainter::BreadcrumbEditScaledButtonAreaSeparatorSize(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* separator = GetSkinInfo()->BreadcrumbEditButtonsAreaSeparator;
  if (!separator)
    return TcxUltraFlatLookAndFeelPainter::BreadcrumbEditScaledButtonAreaSeparatorSize(AScaleFactor);
  return AScaleFactor->Apply(MinSize(separator).cx);
}

void TdxSkinLookAndFeelPainter::DrawBreadcrumbEditScaledButtonAreaSeparator(TcxCanvas* ACanvas,
                                                                            const TRect& ARect,
                                                                            TdxBreadcrumbEditState AState,
                                                                            TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->BreadcrumbEditButtonsAreaSeparator, ACanvas, ARect, 0, esNormal,
                       AScaleFactor))
    TcxUltraFlatLookAndFeelPainter::DrawBreadcrumbEditScaledButtonAreaSeparator(ACanvas, ARect, AState,
                                                                                AScaleFactor);
}

IdxColorPalettePtr TdxSkinLookAndFeelPainter::BreadcrumbEditButtonColorPalette(
    TdxBreadcrumbEditButtonState AState) {
  TdxSkinElement* button = GetSkinInfo()->BreadcrumbEditButton;
  if (!button) return inherited::BreadcrumbEditButtonColorPalette(AState);
  return GetSkinElementColorPalette(button, BreadcrumbButtonStateToElementState[AState]);
}

int32_t TdxSkinLookAndFeelPainter::BreadcrumbEditScaledDropDownButtonWidth(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* button = GetSkinInfo()->BreadcrumbEditDropDownButton;
  return button ? AScaleFactor->Apply(MinSize(button).cx)
                : inherited::BreadcrumbEditScaledDropDownButtonWidth(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawBreadcrumbEditScaledDropDownButtonGlyph(
    TcxCanvas* ACanvas, const TRect& ARect, TdxBreadcrumbEditButtonState AState, bool AIsInEditor,
    TdxScaleFactor* AScaleFactor) {
  // The button's image carries the glyph.
  if (!GetSkinInfo()->BreadcrumbEditDropDownButton)
    inherited::DrawBreadcrumbEditScaledDropDownButtonGlyph(ACanvas, ARect, AState, AIsInEditor, AScaleFactor);
}

bool TdxSkinLookAndFeelPainter::BreadcrumbEditIsFadingSupports() {
  return true;
}

TColor TdxSkinLookAndFeelPainter::BreadcrumbEditNodeTextColor(TdxBreadcrumbEditButtonState AState) {
  static constexpr const Char* kNames[] = {nullptr, u"TextColorSelected", u"TextColorHot",
                                           u"TextColorPressed", u"TextColorDisabled"};
  TdxSkinElement* node = GetSkinInfo()->BreadcrumbEditNodeButton;
  if (!node) return inherited::BreadcrumbEditNodeTextColor(AState);
  if (kNames[AState])
    if (TdxSkinColor* color = SkinPainterColorProperty(node, kNames[AState]))
      if (color->Value() != clDefault) return color->Value();
  return node->TextColor();
}

TRect TdxSkinLookAndFeelPainter::BreadcrumbEditScaledNodeTextOffsets(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* node = GetSkinInfo()->BreadcrumbEditNodeButton;
  return node ? AScaleFactor->Apply(ContentOffsets(node))
              : inherited::BreadcrumbEditScaledNodeTextOffsets(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawBreadcrumbEditScaledNode(TcxCanvas* ACanvas, const TRect& R,
                                                             TdxBreadcrumbEditButtonState AState,
                                                             bool AHasDelimiter,
                                                             TdxScaleFactor* AScaleFactor) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElement* node =
      AHasDelimiter ? info->BreadcrumbEditNodeSplitButtonLeft : info->BreadcrumbEditNodeButton;
  if (!DrawSkinElement(node, ACanvas, R, 0, BreadcrumbButtonStateToElementState[AState], AScaleFactor))
    inherited::DrawBreadcrumbEditScaledNode(ACanvas, R, AState, AHasDelimiter, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawBreadcrumbEditScaledNodeDelimiter(TcxCanvas* ACanvas, const TRect& R,
                                                                      TdxBreadcrumbEditButtonState AState,
                                                                      TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->BreadcrumbEditNodeSplitButtonRight, ACanvas, R, 0,
                       BreadcrumbButtonStateToElementState[AState], AScaleFactor))
    inherited::DrawBreadcrumbEditScaledNodeDelimiter(ACanvas, R, AState, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawBreadcrumbEditScaledNodeDelimiterGlyph(
    TcxCanvas* ACanvas, const TRect& R, TdxBreadcrumbEditButtonState AState, TdxScaleFactor* AScaleFactor) {
  if (!GetSkinInfo()->BreadcrumbEditNodeButton) {
    inherited::DrawBreadcrumbEditScaledNodeDelimiterGlyph(ACanvas, R, AState, AScaleFactor);
    return;
  }
  TcxArrowDirection direction = ACanvas->UseRightToLeftAlignment() ? adLeft : adRight;
  if (AState == dxbcbsPressed) direction = adDown;
  DrawArrow(ACanvas, cxRectInflate(R, -1), direction, BreadcrumbEditNodeTextColor(AState));
}

void TdxSkinLookAndFeelPainter::DrawBreadcrumbEditScaledNodeMoreButtonGlyph(
    TcxCanvas* ACanvas, const TRect& R, TdxBreadcrumbEditButtonState AState, TdxScaleFactor* AScaleFactor) {
  if (!GetSkinInfo()->BreadcrumbEditNodeButton) {
    inherited::DrawBreadcrumbEditScaledNodeMoreButtonGlyph(ACanvas, R, AState, AScaleFactor);
    return;
  }
  DrawCollapseArrow(ACanvas, R, BreadcrumbEditNodeTextColor(AState), AScaleFactor->Apply(2));
}

void TdxSkinLookAndFeelPainter::DrawBreadcrumbEditScaledProgressChunk(TcxCanvas* ACanvas, const TRect& R,
                                                                      TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->BreadcrumbEditProgressChunk, ACanvas, R, 0, esNormal, AScaleFactor))
    inherited::DrawBreadcrumbEditScaledProgressChunk(ACanvas, R, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawBreadcrumbEditScaledProgressChunkOverlay(TcxCanvas* ACanvas,
                                                                             const TRect& R,
                                                                             TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->BreadcrumbEditProgressChunkOverlay, ACanvas, R, 0, esNormal,
                       AScaleFactor))
    inherited::DrawBreadcrumbEditScaledProgressChunkOverlay(ACanvas, R, AScaleFactor);
}

TRect TdxSkinLookAndFeelPainter::BreadcrumbEditScaledProgressChunkPadding(TdxScaleFactor* AScaleFactor) {
  TdxSkinRectProperty* padding = GetSkinInfo()->BreadcrumbEditProgressChunkPadding;
  return padding ? AScaleFactor->Apply(padding->Value()->Rect())
                 : inherited::BreadcrumbEditScaledProgressChunkPadding(AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::BreadcrumbEditScaledProgressChunkOverlaySize(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* overlay = GetSkinInfo()->BreadcrumbEditProgressChunkOverlay;
  return overlay ? AScaleFactor->Apply(MinSize(overlay))
                 : inherited::BreadcrumbEditScaledProgressChunkOverlaySize(AScaleFactor);
}

// --- Range track bars ------------------------------------------------------------------------------------

TdxSkinElement* TdxSkinLookAndFeelPainter::GetRangeTrackBarLeftThumbSkinElement(
    TcxTrackBarTicksAlign ATicks) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  return ATicks == tbtaBoth ? info->RangeTrackBarThumbBoth : info->RangeTrackBarThumbLeft;
}

TdxSkinElement* TdxSkinLookAndFeelPainter::GetRangeTrackBarRightThumbSkinElement(
    TcxTrackBarTicksAlign ATicks) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  return ATicks == tbtaBoth ? info->RangeTrackBarThumbBoth : info->RangeTrackBarThumbRight;
}

void TdxSkinLookAndFeelPainter::DrawRangeTrackBarScaledThumbSkinElement(
    TcxCanvas* ACanvas, TdxSkinElement* AElement, const TRect& ARect, TcxButtonState AState, bool AHorizontal,
    TcxTrackBarTicksAlign ATicks, TdxScaleFactor* AScaleFactor) {
  const TdxSkinElementState state = ButtonStateToSkinState[AState];
  if (AHorizontal)
    DrawSkinElementRotated(ACanvas, AElement, AScaleFactor, ATicks == tbtaUp, ra0, state, ARect);
  else if (ATicks == tbtaUp)
    DrawSkinElementRotated(ACanvas, AElement, AScaleFactor, false, raMinus90, state, ARect);
  else
    DrawSkinElementRotated(ACanvas, AElement, AScaleFactor, true, raPlus90, state, ARect);
}

TSize TdxSkinLookAndFeelPainter::RangeTrackBarScaledLeftThumbSize(bool AHorizontal,
                                                                  TcxTrackBarTicksAlign ATicks,
                                                                  TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* thumb = GetRangeTrackBarLeftThumbSkinElement(ATicks);
  return thumb ? AScaleFactor->Apply(thumb->Size())
               : inherited::RangeTrackBarScaledLeftThumbSize(AHorizontal, ATicks, AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::RangeTrackBarScaledRightThumbSize(bool AHorizontal,
                                                                   TcxTrackBarTicksAlign ATicks,
                                                                   TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* thumb = GetRangeTrackBarRightThumbSkinElement(ATicks);
  return thumb ? AScaleFactor->Apply(thumb->Size())
               : inherited::RangeTrackBarScaledRightThumbSize(AHorizontal, ATicks, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawRangeTrackBarScaledLeftThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                                 TcxButtonState AState, bool AHorizontal,
                                                                 TcxTrackBarTicksAlign ATicks,
                                                                 TColor AThumbColor,
                                                                 TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* thumb = GetRangeTrackBarLeftThumbSkinElement(ATicks);
  if (thumb)
    DrawRangeTrackBarScaledThumbSkinElement(ACanvas, thumb, ARect, AState, AHorizontal, ATicks, AScaleFactor);
  else
    inherited::DrawRangeTrackBarScaledLeftThumb(ACanvas, ARect, AState, AHorizontal, ATicks, AThumbColor,
                                                AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawRangeTrackBarScaledRightThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                                  TcxButtonState AState, bool AHorizontal,
                                                                  TcxTrackBarTicksAlign ATicks,
                                                                  TColor AThumbColor,
                                                                  TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* thumb = GetRangeTrackBarRightThumbSkinElement(ATicks);
  if (thumb)
    DrawRangeTrackBarScaledThumbSkinElement(ACanvas, thumb, ARect, AState, AHorizontal, ATicks, AScaleFactor);
  else
    inherited::DrawRangeTrackBarScaledRightThumb(ACanvas, ARect, AState, AHorizontal, ATicks, AThumbColor,
                                                 AScaleFactor);
}

// --- Alert windows
// -------------------------------------------------------------------------------------------

TdxSkinElement* TdxSkinLookAndFeelPainter::AlertWindowButtonElement(TdxAlertWindowButtonKind AKind) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  return AKind == awbkPrevious || AKind == awbkNext ? info->AlertWindowNavigationPanelButton
                                                    : info->AlertWindowButton;
}

TRect TdxSkinLookAndFeelPainter::AlertWindowScaledButtonContentOffsets(TdxAlertWindowButtonKind AKind,
                                                                       TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* button = AlertWindowButtonElement(AKind);
  return button ? AScaleFactor->Apply(ContentOffsets(button))
                : inherited::AlertWindowScaledButtonContentOffsets(AKind, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawAlertWindowScaledButton(TcxCanvas* ACanvas, const TRect& ABounds,
                                                            TcxButtonState AState,
                                                            TdxAlertWindowButtonKind AKind,
                                                            TdxScaleFactor* AScaleFactor, bool ADown) {
  TdxSkinElement* button = AlertWindowButtonElement(AKind);
  if (!button) {
    inherited::DrawAlertWindowScaledButton(ACanvas, ABounds, AState, AKind, AScaleFactor, ADown);
    return;
  }
  const TdxSkinElementState state = AlertButtonStateToSkinState[ADown ? 1 : 0][AState];
  if (button->Image()->States().Contains(state))
    DrawSkinElement(button, ACanvas, ABounds, 0, state, AScaleFactor);
  int32_t frame = GlyphsMap[AKind];
  if (AKind == awbkPin && ADown) frame = 2;
  if (frame >= 0)
    DrawSkinElement(GetSkinInfo()->AlertWindowButtonGlyphs, ACanvas, ABounds, frame,
                    AlertButtonStateToSkinState[0][AState], AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawAlertWindowBackground(TcxCanvas* ACanvas, const TRect& ABounds,
                                                          TdxScaleFactor* AScaleFactor) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElement* window = info->AlertWindow;
  TdxSkinElement* caption = info->AlertWindowCaption;
  if (!window || !caption) {
    inherited::DrawAlertWindowBackground(ACanvas, ABounds, AScaleFactor);
    return;
  }
  DrawSkinElement(window, ACanvas, ABounds, 0, esNormal, AScaleFactor);
  int32_t height = MinSize(caption).cy;
  if (height == 0) {
    const TRect offsets = ContentOffsets(caption);
    height = caption->Glyph()->Size().cy + offsets.Top + offsets.Bottom;
  }
  const TRect strip{ABounds.Left, ABounds.Top, ABounds.Right, ABounds.Top + AScaleFactor->Apply(height)};
  DrawSkinElement(caption, ACanvas, strip, 0, esNormal, AScaleFactor);
}

TRect TdxSkinLookAndFeelPainter::AlertWindowScaledContentOffsets(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* window = GetSkinInfo()->AlertWindow;
  return window ? AScaleFactor->Apply(ContentOffsets(window))
                : inherited::AlertWindowScaledContentOffsets(AScaleFactor);
}

int32_t TdxSkinLookAndFeelPainter::AlertWindowCornerRadius() {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  if (!info->AlertWindow) return inherited::AlertWindowCornerRadius();
  if (TdxSkinElementHelper::IsAlternateImageSetUsed(info->AlertWindow, 0, esNormal)) return 0;
  return info->AlertWindowCornerRadius;
}

TColor TdxSkinLookAndFeelPainter::AlertWindowTextColor() {
  TdxSkinElement* window = GetSkinInfo()->AlertWindow;
  if (!window) return inherited::AlertWindowTextColor();
  return window->TextColor() == clDefault ? DefaultContentTextColor() : window->TextColor();
}

TColor TdxSkinLookAndFeelPainter::AlertWindowNavigationPanelTextColor() {
  TdxSkinElement* panel = GetSkinInfo()->AlertWindowNavigationPanel;
  if (panel && panel->TextColor() != clDefault) return panel->TextColor();
  return inherited::AlertWindowNavigationPanelTextColor();
}

void TdxSkinLookAndFeelPainter::DrawAlertWindowNavigationPanel(TcxCanvas* ACanvas, const TRect& ABounds) {
  if (!DrawSkinElement(GetSkinInfo()->AlertWindowNavigationPanel, ACanvas, ABounds, 0, esNormal))
    inherited::DrawAlertWindowNavigationPanel(ACanvas, ABounds);
}

// --- Calendars and date navigators
// ----------------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawScaledModernCalendarArrow(TcxCanvas* ACanvas, const TRect& ARect,
                                                              TcxArrowDirection ADirection,
                                                              TcxCalendarElementState AState,
                                                              TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->CalendarNavigationButton, ACanvas, ARect, ADirection == adLeft ? 0 : 1,
                       ElementStateToSkinElementState[AState], AScaleFactor))
    inherited::DrawScaledModernCalendarArrow(ACanvas, ARect, ADirection, AState, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawModernCalendarDateCellSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                                    const TcxCalendarElementStates& AStates) {
  if (!DrawSkinElement(GetSkinInfo()->HighlightedItem, ACanvas, ARect, AStates.Contains(cesMarked) ? 1 : 0,
                       esNormal)) {
    inherited::DrawModernCalendarDateCellSelection(ACanvas, ARect, AStates);
    return;
  }
  if (AStates.Contains(cesFocused)) ACanvas->DrawFocusRect(ARect);
}

void TdxSkinLookAndFeelPainter::DrawModernCalendarHeaderSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                                  const TcxCalendarElementStates& AStates) {
  if (AStates.Contains(cesHot) || AStates.Contains(cesPressed))
    DrawSkinElement(GetSkinInfo()->HighlightedItem, ACanvas, ARect, 0, esNormal);
}

void TdxSkinLookAndFeelPainter::DrawModernCalendarDateHeaderSelection(
    TcxCanvas* ACanvas, const TRect& ARect, const TcxCalendarElementStates& AStates) {
  DrawModernCalendarHeaderSelection(ACanvas, ARect, AStates);
}

TColor TdxSkinLookAndFeelPainter::GetModernCalendarCellTextColor(const TcxCalendarElementStates& AStates) {
  if (AStates.Contains(cesDisabled)) return DefaultDateNavigatorInactiveTextColor();
  if (AStates.Contains(cesHot) || (AStates.Contains(cesSelected) && !AStates.Contains(cesMarked)))
    return DefaultDateNavigatorSelectionTextColor();
  return DefaultDateNavigatorTextColor();
}

TColor TdxSkinLookAndFeelPainter::GetModernCalendarDateHeaderTextColor(
    const TcxCalendarElementStates& AStates) {
  return AStates.Contains(cesHot) ? DefaultDateNavigatorSelectionTextColor()
                                  : DefaultDateNavigatorTextColor();
}

TColor TdxSkinLookAndFeelPainter::GetModernCalendarHeaderTextColor(const TcxCalendarElementStates& AStates) {
  return GetModernCalendarDateHeaderTextColor(AStates);
}

TRect TdxSkinLookAndFeelPainter::GetModernCalendarHeaderTextOffsets() {
  return cxRectTransform(TRect{4, 2, 4, 2}, ContentOffsets(GetSkinInfo()->HighlightedItem));
}

void TdxSkinLookAndFeelPainter::DrawCalendarDateCellSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                              const TcxCalendarElementStates& AStates) {
  if (AStates.Contains(cesMarked))
    DrawDateNavigatorTodayCellSelection(ACanvas, ARect);
  else if (AStates.Contains(cesSelected))
    DrawDateNavigatorCellSelection(ACanvas, ARect, DefaultDateNavigatorSelectionColor());
}

void TdxSkinLookAndFeelPainter::DrawDateNavigatorCellSelection(TcxCanvas* ACanvas, const TRect& R,
                                                               TColor AColor) {
  if (!DrawSkinElement(GetSkinInfo()->HighlightedItem, ACanvas, R, 0, esNormal))
    inherited::DrawDateNavigatorCellSelection(ACanvas, R, AColor);
}

void TdxSkinLookAndFeelPainter::DrawDateNavigatorTodayCellSelection(TcxCanvas* ACanvas, const TRect& R) {
  if (!DrawSkinElement(GetSkinInfo()->HighlightedItem, ACanvas, R, 1, esNormal))
    inherited::DrawDateNavigatorTodayCellSelection(ACanvas, R);
}

void TdxSkinLookAndFeelPainter::DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, TRect& R) {
  R = cxRectInflate(R, 1, 0);
  DrawScaledHeader(ACanvas, R, R, TcxNeighbors{}, cxBordersAll, cxbsNormal, taCenter, vaCenter, false, false,
                   String(), nullptr, clDefault, clDefault, dxDefaultScaleFactor());
}

TColor TdxSkinLookAndFeelPainter::DefaultDateNavigatorHeaderColor() {
  return DefaultHeaderColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultDateNavigatorHeaderTextColor(bool /*AIsHighlight*/) {
  return DefaultHeaderTextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultDateNavigatorTextColor() {
  return SkinColorOr(GetSkinInfo()->CalendarDayTextColor, inherited::DefaultDateNavigatorTextColor());
}

TColor TdxSkinLookAndFeelPainter::DefaultDateNavigatorHolydayTextColor() {
  return SkinColorOr(GetSkinInfo()->CalendarHolidayTextColor,
                     inherited::DefaultDateNavigatorHolydayTextColor());
}

TColor TdxSkinLookAndFeelPainter::DefaultDateNavigatorInactiveTextColor() {
  return SkinColorOr(GetSkinInfo()->CalendarInactiveDayTextColor,
                     inherited::DefaultDateNavigatorInactiveTextColor());
}

TColor TdxSkinLookAndFeelPainter::DefaultDateNavigatorSelectionColor() {
  return SkinColorOr(GetSkinInfo()->CalendarSelectedDayColor,
                     inherited::DefaultDateNavigatorSelectionColor());
}

TColor TdxSkinLookAndFeelPainter::DefaultDateNavigatorSelectionTextColor() {
  return SkinColorOr(GetSkinInfo()->CalendarSelectedDayTextColor,
                     inherited::DefaultDateNavigatorSelectionTextColor());
}

TColor TdxSkinLookAndFeelPainter::DefaultDateNavigatorSeparator1Color() {
  return SkinColorOr(GetSkinInfo()->CalendarSeparatorColor, inherited::DefaultDateNavigatorSeparator1Color());
}

TColor TdxSkinLookAndFeelPainter::DefaultDateNavigatorSeparator2Color() {
  return clNone;
}

TColor TdxSkinLookAndFeelPainter::DefaultDateNavigatorTodayFrameColor() {
  return SkinColorOr(GetSkinInfo()->CalendarTodayFrameColor,
                     inherited::DefaultDateNavigatorTodayFrameColor());
}

TColor TdxSkinLookAndFeelPainter::DefaultDateNavigatorTodayTextColor(bool ASelected) {
  return SkinColorOr(GetSkinInfo()->CalendarTodayTextColor,
                     inherited::DefaultDateNavigatorTodayTextColor(ASelected));
}

}  // namespace qd
