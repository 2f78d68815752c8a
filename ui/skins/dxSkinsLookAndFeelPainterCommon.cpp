// The skin painter's operations for common controls: colours, buttons, toggle switches,
// splitters and size grips, drop-down lists, track bars, tokens, group boxes, panels and hints.
#include <algorithm>

#include "ui/core/cxGeometry.h"
#include "ui/graphics/cxGraphicsColors.h"
#include "ui/skins/dxSkinsLookAndFeelPainter.h"
#include "ui/skins/dxSkinsLookAndFeelPainterUtils.h"

namespace qd {

// --- Whole-painter colours -------------------------------------------------------------------------

TColor TdxSkinLookAndFeelPainter::DefaultContentColor() {
  return SkinColorOr(GetSkinInfo()->ContentColor, inherited::DefaultContentColor());
}

TColor TdxSkinLookAndFeelPainter::DefaultContentEvenColor() {
  return SkinColorOr(GetSkinInfo()->ContentEvenColor, inherited::DefaultContentEvenColor());
}

TColor TdxSkinLookAndFeelPainter::DefaultContentOddColor() {
  return SkinColorOr(GetSkinInfo()->ContentOddColor, inherited::DefaultContentOddColor());
}

TColor TdxSkinLookAndFeelPainter::DefaultContentTextColor() {
  return SkinColorOr(GetSkinInfo()->ContentTextColor, inherited::DefaultContentTextColor());
}

TColor TdxSkinLookAndFeelPainter::DefaultControlColor() {
  return DefaultContentColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultControlTextColor() {
  return DefaultContentTextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultHyperlinkTextColor() {
  return SkinColorOr(GetSkinInfo()->HyperLinkTextColor, inherited::DefaultHyperlinkTextColor());
}

TColor TdxSkinLookAndFeelPainter::DefaultPreviewTextColor() {
  return DefaultHyperlinkTextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultInactiveColor() {
  return SkinColorOr(GetSkinInfo()->InactiveColor, inherited::DefaultInactiveColor());
}

TColor TdxSkinLookAndFeelPainter::DefaultInactiveTextColor() {
  return SkinColorOr(GetSkinInfo()->InactiveTextColor, inherited::DefaultInactiveTextColor());
}

TColor TdxSkinLookAndFeelPainter::DefaultSelectionColor() {
  TdxSkinColor* color = GetSkinInfo()->SelectionColor;
  return color ? color->Value() : inherited::DefaultSelectionColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultSelectionTextColor() {
  TdxSkinColor* color = GetSkinInfo()->SelectionTextColor;
  return color ? color->Value() : inherited::DefaultSelectionTextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultTabTextColor() {
  return SkinColorOr(SkinPainterColorProperty(GetSkinInfo()->PageControlHeader, u"TextColor"),
                     inherited::DefaultTabTextColor());
}

TColor TdxSkinLookAndFeelPainter::DefaultSizeGripAreaColor() {
  TdxSkinElement* content = GetSkinInfo()->FormContent;
  return content ? content->Color() : inherited::DefaultSizeGripAreaColor();
}

TColor TdxSkinLookAndFeelPainter::GetWindowContentTextColor() {
  TdxSkinElement* content = GetSkinInfo()->FormContent;
  const TColor color = content ? content->TextColor() : clDefault;
  return color != clDefault ? color : inherited::GetWindowContentTextColor();
}

void TdxSkinLookAndFeelPainter::DrawWindowContent(TcxCanvas* ACanvas, const TRect& ARect) {
  TdxSkinElement* content = GetSkinInfo()->FormContent;
  if (content)
    ACanvas->FillRect(ARect, content->Color());
  else
    inherited::DrawWindowContent(ACanvas, ARect);
}

void TdxSkinLookAndFeelPainter::DrawScrollBoxBackground(TcxCanvas* ACanvas, const TRect& R,
                                                        TColor /*AColor*/) {
  ACanvas->FillRect(R, DefaultContentColor());
}

TColor TdxSkinLookAndFeelPainter::LayoutControlEmptyAreaColor() {
  TdxSkinColor* color = GetSkinInfo()->LayoutControlColor;
  return color ? color->Value() : inherited::LayoutControlEmptyAreaColor();
}

void TdxSkinLookAndFeelPainter::DrawLayoutControlBackground(TcxCanvas* ACanvas, const TRect& R) {
  ACanvas->FillRect(R, LayoutControlEmptyAreaColor());
}

void TdxSkinLookAndFeelPainter::GetBevelShapeColors(TColor& AColor1, TColor& AColor2) {
  inherited::GetBevelShapeColors(AColor1, AColor2);
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  if (info->BevelShapeColor1 && info->BevelShapeColor1->Value() != clDefault)
    AColor1 = info->BevelShapeColor1->Value();
  if (info->BevelShapeColor2 && info->BevelShapeColor2->Value() != clDefault)
    AColor2 = info->BevelShapeColor2->Value();
}

TSize TdxSkinLookAndFeelPainter::GetBevelMinimalShapeSize(TdxBevelShape /*AShape*/) {
  TColor c1 = clNone, c2 = clNone;
  GetBevelShapeColors(c1, c2);
  const int32_t side = (cxColorIsValid(c1) ? 1 : 0) + (cxColorIsValid(c2) ? 1 : 0);
  return TSize{side, side};
}

TColor TdxSkinLookAndFeelPainter::GetColorGalleryGlyphFrameColor() {
  return GetContainerBorderColor(true);
}

// --- Buttons -------------------------------------------------------------------------------------------

IdxColorPalettePtr TdxSkinLookAndFeelPainter::GetSmallButtonColorPalette(TcxButtonState AState) {
  TdxSkinElement* button = GetSkinInfo()->ButtonElements;
  if (!button) return inherited::GetSmallButtonColorPalette(AState);
  return GetSkinElementColorPalette(button, ButtonStateToSkinState[AState]);
}

TColor TdxSkinLookAndFeelPainter::ButtonDescriptionTextColor(TcxButtonState AState, TColor ADefaultColor) {
  TdxSkinElement* button = GetSkinInfo()->ButtonElements;
  if (!button) return ADefaultColor;
  const TColor color = button->GetTextColor(AState, u"Description");
  return cxColorIsValid(color) ? color : ADefaultColor;
}

int32_t TdxSkinLookAndFeelPainter::GetScaledDropDownButtonRightPartSize(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* right = GetSkinInfo()->DropDownButtonRight;
  if (right && MinSize(right).cx > 0) return AScaleFactor->Apply(MinSize(right).cx);
  return inherited::GetScaledDropDownButtonRightPartSize(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledBackButton(TcxCanvas* ACanvas, const TRect& R,
                                                     TcxButtonState AState, TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->BackButton, ACanvas, R, 0, ButtonStateToSkinState[AState],
                       AScaleFactor))
    inherited::DrawScaledBackButton(ACanvas, R, AState, AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::GetScaledBackButtonSize(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* back = GetSkinInfo()->BackButton;
  return back ? AScaleFactor->Apply(MinSize(back)) : inherited::GetScaledBackButtonSize(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledSmallButton(TcxCanvas* ACanvas, const TRect& R,
                                                      TcxButtonState AState, TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->PageControlHeaderButton, ACanvas, R, 0, ButtonStateToSkinState[AState],
                       AScaleFactor))
    inherited::DrawScaledSmallButton(ACanvas, R, AState, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledSmallCloseButton(TcxCanvas* ACanvas, const TRect& R,
                                                           TcxButtonState AState,
                                                           TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->PageControlCloseButton, ACanvas, R, 0, ButtonStateToSkinState[AState],
                       AScaleFactor))
    inherited::DrawScaledSmallCloseButton(ACanvas, R, AState, AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::DoGetSmallCloseButtonSize() {
  TdxSkinElement* close = GetSkinInfo()->PageControlCloseButton;
  return close ? MinSize(close) : inherited::DoGetSmallCloseButtonSize();
}

void TdxSkinLookAndFeelPainter::DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                       TdxScaleFactor* AScaleFactor, TColor AColor,
                                                       TcxButtonState AState) {
  // The interface passes the expand-button state as a push-button state: hot and pressed
  // buttons are the selected ones, disabled ones the inactive ones.
  static constexpr TcxExpandButtonState kExpandState[] = {cebsNormal, cebsNormal, cebsSelected, cebsSelected,
                                                          cebsInactive};
  if (!DrawRightToLeftDependentSkinElement(GetSkinInfo()->ExpandButton, ACanvas, R, AExpanded ? 1 : 0,
                                           ExpandButtonStateToSkinState[kExpandState[AState]], AScaleFactor))
    inherited::DrawScaledExpandButton(ACanvas, R, AExpanded, AScaleFactor, AColor, cxbsNormal);
}

void TdxSkinLookAndFeelPainter::DrawScaledExpandButtonEx(TcxCanvas* ACanvas, const TRect& R,
                                                         TcxButtonState /*AState*/, bool AExpanded,
                                                         TdxScaleFactor* AScaleFactor,
                                                         TcxRotationAngle /*ARotationAngle*/) {
  DrawScaledExpandButton(ACanvas, R, AExpanded, AScaleFactor, clDefault, cxbsNormal);
}

void TdxSkinLookAndFeelPainter::DrawScaledSmallExpandButton(TcxCanvas* ACanvas, const TRect& R,
                                                            bool AExpanded, TColor ABorderColor,
                                                            TdxScaleFactor* AScaleFactor, TColor AColor) {
  if (!DrawRightToLeftDependentSkinElement(GetSkinInfo()->ExpandButton, ACanvas, R, AExpanded ? 1 : 0,
                                           esNormal, AScaleFactor))
    inherited::DrawScaledSmallExpandButton(ACanvas, R, AExpanded, ABorderColor, AScaleFactor, AColor);
}

int32_t TdxSkinLookAndFeelPainter::ScaledExpandButtonSize(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* button = GetSkinInfo()->ExpandButton;
  return button ? dxSkinGetElementSize(button, AScaleFactor).cy
                : inherited::ScaledExpandButtonSize(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledSliderButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                       TcxArrowDirection ADirection, TcxButtonState AState,
                                                       TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->SliderArrow[ADirection], ACanvas, ARect, 0,
                       ButtonStateToSkinState[AState], AScaleFactor))
    inherited::DrawScaledSliderButton(ACanvas, ARect, ADirection, AState, AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::ScaledSliderButtonSize(TcxArrowDirection ADirection,
                                                        TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* arrow = GetSkinInfo()->SliderArrow[ADirection];
  return arrow ? AScaleFactor->Apply(arrow->Size())
               : inherited::ScaledSliderButtonSize(ADirection, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledZoomInButton(TcxCanvas* ACanvas, const TRect& R,
                                                       TcxButtonState AState, TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->ZoomInButton, ACanvas, R, 0, ButtonStateToSkinState[AState],
                       AScaleFactor))
    inherited::DrawScaledZoomInButton(ACanvas, R, AState, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledZoomOutButton(TcxCanvas* ACanvas, const TRect& R,
                                                        TcxButtonState AState, TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->ZoomOutButton, ACanvas, R, 0, ButtonStateToSkinState[AState],
                       AScaleFactor))
    inherited::DrawScaledZoomOutButton(ACanvas, R, AState, AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::GetScaledZoomInButtonSize(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* button = GetSkinInfo()->ZoomInButton;
  return button ? AScaleFactor->Apply(button->Size()) : inherited::GetScaledZoomInButtonSize(AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::GetScaledZoomOutButtonSize(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* button = GetSkinInfo()->ZoomOutButton;
  return button ? AScaleFactor->Apply(button->Size()) : inherited::GetScaledZoomOutButtonSize(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledSearchEditButtonGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                                TcxButtonState AState,
                                                                TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->EditButtonSearchGlyph, ACanvas, R, 0, ButtonStateToSkinState[AState],
                       AScaleFactor))
    inherited::DrawScaledSearchEditButtonGlyph(ACanvas, R, AState, AScaleFactor);
}

// --- Check boxes and toggle switches -------------------------------------------------------------------

TPoint TdxSkinLookAndFeelPainter::ScaledFilterActivateButtonSize(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* check = GetSkinInfo()->CheckboxElement;
  if (!check) return inherited::ScaledFilterActivateButtonSize(AScaleFactor);
  const TSize size = AScaleFactor->Apply(check->Size());
  return TPoint{size.cx, size.cy};
}

void TdxSkinLookAndFeelPainter::DrawScaledToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds,
                                                            TcxButtonState AState, bool AChecked,
                                                            TdxScaleFactor* AScaleFactor) {
  const TdxSkinElementState state = AState == cxbsDisabled ? esDisabled : (AChecked ? esActive : esNormal);
  if (!DrawSkinElement(GetSkinInfo()->ToggleSwitch, ACanvas, ABounds, 1, state, AScaleFactor))
    TcxUltraFlatLookAndFeelPainter::DrawScaledToggleSwitchState(ACanvas, ABounds, AState, AChecked,
                                                                AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledToggleSwitchThumb(TcxCanvas* ACanvas, const TRect& ABounds,
                                                            TcxButtonState AState,
                                                            TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->ToggleSwitchThumb, ACanvas, ABounds, 0, ButtonStateToSkinState[AState],
                       AScaleFactor))
    TcxUltraFlatLookAndFeelPainter::DrawScaledToggleSwitchThumb(ACanvas, ABounds, AState, AScaleFactor);
}

int32_t TdxSkinLookAndFeelPainter::GetToggleSwitchThumbPercentsWidth() {
  TdxSkinElement* thumb = GetSkinInfo()->ToggleSwitchThumb;
  return thumb ? MinSize(thumb).cx : inherited::GetToggleSwitchThumbPercentsWidth();
}

TColor TdxSkinLookAndFeelPainter::GetToggleSwitchTextColor() {
  TdxSkinElement* toggle = GetSkinInfo()->ToggleSwitch;
  return toggle ? toggle->TextColor() : inherited::GetToggleSwitchTextColor();
}

IdxColorPalettePtr TdxSkinLookAndFeelPainter::GetToggleSwitchColorPalette() {
  TdxSkinElement* toggle = GetSkinInfo()->ToggleSwitch;
  return toggle ? GetSkinElementColorPalette(toggle, esNormal) : inherited::GetToggleSwitchColorPalette();
}

// --- Size grips and splitters ---------------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::DoDrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect,
                                               TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->SizeGrip, ACanvas, ARect, 0, esNormal, AScaleFactor))
    inherited::DoDrawSizeGrip(ACanvas, ARect, AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::ScaledSizeGripSize(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* grip = GetSkinInfo()->SizeGrip;
  return grip ? AScaleFactor->Apply(GetSkinElementMinSize(grip))
              : inherited::ScaledSizeGripSize(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledSplitter(TcxCanvas* ACanvas, const TRect& ARect, bool AHighlighted,
                                                   bool AClicked, bool AHorizontal,
                                                   TdxScaleFactor* AScaleFactor, bool AHasCloseMark,
                                                   TcxArrowDirection AArrowDirection) {
  int32_t frame = 0;
  if (AHasCloseMark) frame = (AArrowDirection == adUp || AArrowDirection == adLeft) ? 1 : 2;
  if (!DrawSkinElement(GetSkinInfo()->Splitter[AHorizontal ? 1 : 0], ACanvas, ARect, frame,
                       AHighlighted ? esHot : esNormal, AScaleFactor))
    inherited::DrawScaledSplitter(ACanvas, ARect, AHighlighted, AClicked, AHorizontal, AScaleFactor,
                                  AHasCloseMark, AArrowDirection);
}

TSize TdxSkinLookAndFeelPainter::GetScaledSplitterSize(bool AHorizontal, TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* splitter = GetSkinInfo()->Splitter[AHorizontal ? 1 : 0];
  if (!splitter) return TcxUltraFlatLookAndFeelPainter::GetScaledSplitterSize(AHorizontal, AScaleFactor);
  return AScaleFactor->Apply(MinSize(splitter));
}

// --- Calculator and filter buttons ----------------------------------------------------------------------

TColor TdxSkinLookAndFeelPainter::CalcEditButtonTextColor(TcxCalcButtonKind AButtonKind) {
  return SkinColorOr(GetSkinInfo()->CalcEditButtonTextColors[AButtonKind],
                     inherited::CalcEditButtonTextColor(AButtonKind));
}

void TdxSkinLookAndFeelPainter::DrawScaledFilterCloseButton(TcxCanvas* ACanvas, const TRect& R,
                                                            TcxButtonState AState,
                                                            TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->EditButtonElements[1], ACanvas, R, 0, ButtonStateToSkinState[AState],
                       AScaleFactor))
    inherited::DrawScaledFilterCloseButton(ACanvas, R, AState, AScaleFactor);
}

TPoint TdxSkinLookAndFeelPainter::ScaledFilterCloseButtonSize(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* close = GetSkinInfo()->EditButtonElements[1];
  if (!close) return TcxUltraFlatLookAndFeelPainter::ScaledFilterCloseButtonSize(AScaleFactor);
  const TSize size = AScaleFactor->Apply(MinSize(close));
  return TPoint{size.cx, size.cy};
}

// --- Drop-down lists
// ----------------------------------------------------------------------------------------

int32_t TdxSkinLookAndFeelPainter::DropDownListBoxBordersSize() {
  return 2;
}

void TdxSkinLookAndFeelPainter::DrawDropDownListBoxBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                              bool AHasBorders) {
  TdxSkinElement* menu = GetSkinInfo()->PopupMenu;
  if (!menu) {
    inherited::DrawDropDownListBoxBackground(ACanvas, ARect, AHasBorders);
    return;
  }
  if (AHasBorders) {
    DrawSkinElement(menu, ACanvas, ARect, 0, esNormal);
    return;
  }
  // Only the inside shows.
  SkinPainterClipScope clip(ACanvas, ARect);
  DrawSkinElement(menu, ACanvas, cxRectInflate(ARect, GetSkinElementBordersWidth(menu)), 0, esNormal);
}

void TdxSkinLookAndFeelPainter::DrawDropDownListBoxScaledGutterBackground(TcxCanvas* ACanvas,
                                                                          const TRect& ARect,
                                                                          TdxScaleFactor* AScaleFactor) {
  if (!DrawRightToLeftDependentSkinElement(GetSkinInfo()->PopupMenuSideStrip, ACanvas, ARect, 0, esNormal,
                                           AScaleFactor))
    inherited::DrawDropDownListBoxScaledGutterBackground(ACanvas, ARect, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawDropDownListBoxScaledSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                                   const TRect& AGutterRect,
                                                                   TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->PopupMenuLinkSelected, ACanvas, ARect, 0, esNormal, AScaleFactor))
    inherited::DrawDropDownListBoxScaledSelection(ACanvas, ARect, AGutterRect, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawDropDownListBoxScaledSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                                   const TRect& AGutterRect,
                                                                   TdxScaleFactor* AScaleFactor) {
  const TRect r{AGutterRect.Right + 2, ARect.Top, ARect.Right, ARect.Bottom};
  if (!DrawSkinElement(GetSkinInfo()->PopupMenuSeparator, ACanvas, r, 0, esNormal, AScaleFactor))
    inherited::DrawDropDownListBoxScaledSeparator(ACanvas, ARect, AGutterRect, AScaleFactor);
}

int32_t TdxSkinLookAndFeelPainter::DropDownListBoxScaledSeparatorSize(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* separator = GetSkinInfo()->PopupMenuSeparator;
  return separator ? MinSize(separator).cy : inherited::DropDownListBoxScaledSeparatorSize(AScaleFactor);
}

TColor TdxSkinLookAndFeelPainter::DropDownListBoxItemTextColor(bool ASelected) {
  TdxSkinElement* menu = GetSkinInfo()->PopupMenu;
  if (!menu) return TcxUltraFlatLookAndFeelPainter::DropDownListBoxItemTextColor(ASelected);
  return menu->GetTextColor(ASelected ? cxbsHot : cxbsNormal);
}

TRect TdxSkinLookAndFeelPainter::DropDownListBoxScaledItemTextOffsets(TdxScaleFactor* AScaleFactor) {
  TRect r = inherited::DropDownListBoxScaledItemTextOffsets(AScaleFactor);
  if (TdxSkinElement* selected = GetSkinInfo()->PopupMenuLinkSelected) {
    const TRect offsets = ContentOffsets(selected);
    r.Top = std::max(r.Top, offsets.Top);
    r.Bottom = std::max(r.Bottom, offsets.Bottom);
  }
  return r;
}

TRect TdxSkinLookAndFeelPainter::DropDownListBoxScaledItemImageOffsets(TdxScaleFactor* AScaleFactor) {
  TRect r = DropDownListBoxScaledItemTextOffsets(AScaleFactor);
  if (TdxSkinElement* strip = GetSkinInfo()->PopupMenuSideStrip) {
    const TRect offsets = ContentOffsets(strip);
    r.Left = std::max(r.Left, offsets.Left);
    r.Right = std::max(r.Right, offsets.Right);
  }
  return r;
}

IdxColorPalettePtr TdxSkinLookAndFeelPainter::FilterControlMenuGetColorPalette() {
  TdxSkinElement* menu = GetSkinInfo()->PopupMenu;
  return menu ? GetSkinElementColorPalette(menu, esNormal) : inherited::FilterControlMenuGetColorPalette();
}

// --- Track bars, rating, tokens and wheel pickers ---------------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawTrackBarScaledTrack(TcxCanvas* ACanvas, const TRect& ARect,
                                                        const TRect& ASelection, bool AShowSelection,
                                                        bool AEnabled, bool AHorizontal, TColor ATrackColor,
                                                        TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* track = GetSkinInfo()->TrackBarTrack[AHorizontal ? 1 : 0];
  if (!track) {
    inherited::DrawTrackBarScaledTrack(ACanvas, ARect, ASelection, AShowSelection, AEnabled, AHorizontal,
                                       ATrackColor, AScaleFactor);
    return;
  }
  DrawSkinElement(track, ACanvas, ARect, AEnabled ? 0 : 2, esNormal, AScaleFactor);
  if (!AShowSelection || cxRectIsEmpty(ASelection)) return;
  SkinPainterClipScope clip(ACanvas, ASelection);
  DrawSkinElement(track, ACanvas, ARect, AEnabled ? 1 : 3, esNormal, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawTrackBarScaledThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                        TcxButtonState AState, bool AHorizontal,
                                                        TcxTrackBarTicksAlign ATicks, TColor AThumbColor,
                                                        TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->TrackBarThumb[AHorizontal ? 1 : 0][ATicks], ACanvas, ARect, 0,
                       ButtonStateToSkinState[AState], AScaleFactor))
    inherited::DrawTrackBarScaledThumb(ACanvas, ARect, AState, AHorizontal, ATicks, AThumbColor,
                                       AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::TrackBarScaledThumbSize(bool AHorizontal, TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* thumb = GetSkinInfo()->TrackBarThumb[AHorizontal ? 1 : 0][tbtaDown];
  return thumb ? AScaleFactor->Apply(thumb->Size())
               : inherited::TrackBarScaledThumbSize(AHorizontal, AScaleFactor);
}

int32_t TdxSkinLookAndFeelPainter::TrackBarScaledTrackSize(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* track = GetSkinInfo()->TrackBarTrack[1];
  return track ? AScaleFactor->Apply(track->Size().cy) : inherited::TrackBarScaledTrackSize(AScaleFactor);
}

TColor TdxSkinLookAndFeelPainter::TrackBarTicksColor(bool AText) {
  TdxSkinColor* color = GetSkinInfo()->TrackBarTickColor;
  return color ? color->Value() : inherited::TrackBarTicksColor(AText);
}

void TdxSkinLookAndFeelPainter::DrawRatingControlScaledIndicator(TcxCanvas* ACanvas, const TRect& ABounds,
                                                                 TdxRatingControlIndicatorState AState,
                                                                 TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->RatingIndicator, ACanvas, ABounds, 0,
                       RatingControlIndicatorStateToSkinState[AState], AScaleFactor))
    inherited::DrawRatingControlScaledIndicator(ACanvas, ABounds, AState, AScaleFactor);
}

IdxColorPalettePtr TdxSkinLookAndFeelPainter::GetRatingControlIndicatorColorPalette(
    TdxRatingControlIndicatorState AState) {
  TdxSkinElement* rating = GetSkinInfo()->RatingIndicator;
  if (!rating) return inherited::GetRatingControlIndicatorColorPalette(AState);
  return GetSkinElementColorPalette(rating, RatingControlIndicatorStateToSkinState[AState]);
}

TSize TdxSkinLookAndFeelPainter::GetRatingControlScaledIndicatorSize(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* rating = GetSkinInfo()->RatingIndicator;
  return rating ? AScaleFactor->Apply(rating->Image()->Size())
                : inherited::GetRatingControlScaledIndicatorSize(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R,
                                                          TcxButtonState AState,
                                                          TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* item = GetSkinInfo()->HighlightedItem;
  if (!item) {
    inherited::DrawScaledTokenBackground(ACanvas, R, AState, AScaleFactor);
    return;
  }
  if (AState == cxbsHot || AState == cxbsPressed)
    DrawSkinElement(item, ACanvas, R, AState == cxbsPressed ? 1 : 0, esNormal, AScaleFactor);
}

IdxColorPalettePtr TdxSkinLookAndFeelPainter::GetTokenColorPalette(TcxButtonState AState) {
  TdxSkinElement* item = GetSkinInfo()->HighlightedItem;
  return item ? GetSkinElementColorPalette(item, ButtonStateToSkinState[AState])
              : inherited::GetTokenColorPalette(AState);
}

TColor TdxSkinLookAndFeelPainter::GetTokenTextColor(TcxButtonState AState) {
  const TColor color = inherited::GetTokenTextColor(AState);
  TdxSkinElement* item = GetSkinInfo()->HighlightedItem;
  if (item && (AState == cxbsHot || AState == cxbsPressed) && item->TextColor() != clDefault)
    return item->TextColor();
  return color;
}

void TdxSkinLookAndFeelPainter::DrawWheelPickerItem(TcxCanvas* ACanvas, const TRect& ARect,
                                                    TcxButtonState AState) {
  TdxSkinElement* item = GetSkinInfo()->HighlightedItem;
  if (!item) {
    inherited::DrawWheelPickerItem(ACanvas, ARect, AState);
    return;
  }
  if (AState == cxbsHot || AState == cxbsPressed)
    DrawSkinElement(item, ACanvas, ARect, AState == cxbsPressed ? 1 : 0, esNormal);
}

IdxColorPalettePtr TdxSkinLookAndFeelPainter::GetWheelPickerColorPalette(TcxButtonState AState) {
  TdxSkinElement* item = GetSkinInfo()->HighlightedItem;
  return item ? GetSkinElementColorPalette(item, ButtonStateToSkinState[AState])
              : inherited::GetWheelPickerColorPalette(AState);
}

// --- Range controls
// -----------------------------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawRangeControlScaledLeftThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                                TColor AColor, TColor ABorderColor,
                                                                TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->RangeControlLeftThumb, ACanvas, ARect, 0, esNormal, AScaleFactor))
    inherited::DrawRangeControlScaledLeftThumb(ACanvas, ARect, AColor, ABorderColor, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawRangeControlScaledRightThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                                 TColor AColor, TColor ABorderColor,
                                                                 TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->RangeControlRightThumb, ACanvas, ARect, 0, esNormal, AScaleFactor))
    inherited::DrawRangeControlScaledRightThumb(ACanvas, ARect, AColor, ABorderColor, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawRangeControlScaledRulerHeader(TcxCanvas* ACanvas, const TRect& ARect,
                                                                  bool AIsHot, TdxAlphaColor AColor,
                                                                  TdxAlphaColor ABorderColor,
                                                                  TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->RangeControlRulerHeader, ACanvas, ARect, 0, AIsHot ? esHot : esNormal,
                       AScaleFactor))
    inherited::DrawRangeControlScaledRulerHeader(ACanvas, ARect, AIsHot, AColor, ABorderColor, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawRangeControlScaledSizingGlyph(TcxCanvas* ACanvas, const TRect& ARect,
                                                                  TdxAlphaColor ABorderColor,
                                                                  TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->RangeControlSizingGlyph, ACanvas, ARect, 0, esNormal, AScaleFactor))
    inherited::DrawRangeControlScaledSizingGlyph(ACanvas, ARect, ABorderColor, AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::GetRangeControlScaledThumbSize(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* thumb = GetSkinInfo()->RangeControlLeftThumb;
  return thumb ? AScaleFactor->Apply(GetSkinElementMinSize(thumb))
               : inherited::GetRangeControlScaledThumbSize(AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::GetRangeControlScaledSizingGlyphSize(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* glyph = GetSkinInfo()->RangeControlSizingGlyph;
  return glyph ? AScaleFactor->Apply(MinSize(glyph))
               : inherited::GetRangeControlScaledSizingGlyphSize(AScaleFactor);
}

int32_t TdxSkinLookAndFeelPainter::GetRangeControlScaledScrollAreaHeight(TdxScaleFactor* AScaleFactor) {
  TdxSkinIntegerProperty* height = GetSkinInfo()->RangeControlScrollAreaHeight;
  return height ? AScaleFactor->Apply(height->Value())
                : inherited::GetRangeControlScaledScrollAreaHeight(AScaleFactor);
}

TColor TdxSkinLookAndFeelPainter::GetRangeControlBorderColor() {
  TdxSkinElement* border = GetSkinInfo()->RangeControlBorder;
  return border ? border->Borders()->Left()->Color() : inherited::GetRangeControlBorderColor();
}

namespace {

// A range-control alpha colour; the default alpha colour means the skin has none.
bool RangeControlColorPresent(TdxAlphaColor AColor) {
  return AColor != TdxAlphaColorsDefault;
}

}  // namespace

TColor TdxSkinLookAndFeelPainter::GetRangeControlBackColor() {
  const TdxAlphaColor color = GetSkinInfo()->RangeControlBackColor;
  return RangeControlColorPresent(color) ? dxAlphaColorToColor(color) : inherited::GetRangeControlBackColor();
}

TdxAlphaColor TdxSkinLookAndFeelPainter::GetRangeControlElementsBorderColor() {
  const TdxAlphaColor color = GetSkinInfo()->RangeControlInnerBorderColor;
  return RangeControlColorPresent(color) ? color : inherited::GetRangeControlElementsBorderColor();
}

TdxAlphaColor TdxSkinLookAndFeelPainter::GetRangeControlOutOfRangeColor() {
  const TdxAlphaColor color = GetSkinInfo()->RangeControlOutOfRangeColorMask;
  return RangeControlColorPresent(color) ? color : inherited::GetRangeControlOutOfRangeColor();
}

TdxAlphaColor TdxSkinLookAndFeelPainter::GetRangeControlRulerColor() {
  const TdxAlphaColor color = GetSkinInfo()->RangeControlRuleColor;
  return RangeControlColorPresent(color) ? color : inherited::GetRangeControlRulerColor();
}

TdxAlphaColor TdxSkinLookAndFeelPainter::GetRangeControlSelectedRegionBackgroundColor() {
  const TdxAlphaColor color = GetSkinInfo()->RangeControlSelectionColor;
  return RangeControlColorPresent(color) ? color : inherited::GetRangeControlSelectedRegionBackgroundColor();
}

TdxAlphaColor TdxSkinLookAndFeelPainter::GetRangeControlSelectedRegionBorderColor() {
  const TdxAlphaColor color = GetSkinInfo()->RangeControlSelectionBorderColor;
  return RangeControlColorPresent(color) ? color : inherited::GetRangeControlSelectedRegionBorderColor();
}

TColor TdxSkinLookAndFeelPainter::GetRangeControlDefaultElementColor() {
  TdxSkinColor* color = GetSkinInfo()->RangeControlDefaultElementColor;
  return color ? color->Value() : inherited::GetRangeControlDefaultElementColor();
}

TColor TdxSkinLookAndFeelPainter::GetRangeControlElementForeColor() {
  TdxSkinColor* color = GetSkinInfo()->RangeControlElementForeColor;
  return color ? color->Value() : inherited::GetRangeControlElementForeColor();
}

TColor TdxSkinLookAndFeelPainter::GetRangeControlLabelColor() {
  TdxSkinColor* color = GetSkinInfo()->RangeControlLabelColor;
  return color ? color->Value() : inherited::GetRangeControlLabelColor();
}

TColor TdxSkinLookAndFeelPainter::GetRangeControlRangePreviewColor() {
  TdxSkinColor* color = GetSkinInfo()->RangeControlRangePreviewColor;
  return color ? color->Value() : inherited::GetRangeControlRangePreviewColor();
}

TColor TdxSkinLookAndFeelPainter::GetRangeControlScrollAreaColor() {
  TdxSkinColor* color = GetSkinInfo()->RangeControlScrollAreaColor;
  return color ? color->Value() : inherited::GetRangeControlScrollAreaColor();
}

TColor TdxSkinLookAndFeelPainter::GetRangeControlViewPortPreviewColor() {
  TdxSkinColor* color = GetSkinInfo()->RangeControlViewPortPreviewColor;
  return color ? color->Value() : inherited::GetRangeControlViewPortPreviewColor();
}

// --- Month headers and clocks
// -------------------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawScaledMonthHeader(TcxCanvas* ACanvas, const TRect& ABounds,
                                                      const String& AText, const TcxNeighbors& ANeighbors,
                                                      const TcxViewParams& AViewParams,
                                                      const TcxArrowDirections& AArrows, int32_t ASideWidth,
                                                      TdxScaleFactor* AScaleFactor,
                                                      const TcxDrawBackgroundEvent& AOnDrawBackground) {
  DrawScaledHeader(ACanvas, ABounds, ABounds, ANeighbors, HeaderBorders(ANeighbors), cxbsNormal, taCenter,
                   vaCenter, false, false, AText, AViewParams.Font, AViewParams.TextColor, AViewParams.Color,
                   AScaleFactor, AOnDrawBackground);
  DrawMonthHeaderArrows(ACanvas, ABounds, AArrows, ASideWidth, DefaultDateNavigatorHeaderTextColor(false));
}

TSize TdxSkinLookAndFeelPainter::ScaledClockSize(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* face = GetSkinInfo()->ClockElements[0];
  return face ? dxSkinGetElementSize(face, AScaleFactor) : inherited::ScaledClockSize(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledClock(TcxCanvas* ACanvas, const TRect& ARect, TDateTime ADateTime,
                                                TColor ABackgroundColor, TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* face = GetSkinInfo()->ClockElements[0];
  TdxSkinElement* glass = GetSkinInfo()->ClockElements[1];
  if (!face || !glass) {
    inherited::DrawScaledClock(ACanvas, ARect, ADateTime, ABackgroundColor, AScaleFactor);
    return;
  }
  if (cxRectIsEmpty(ARect)) return;
  TcxBitmap32 bitmap(cxRectWidth(ARect), cxRectHeight(ARect));
  const TRect r{0, 0, bitmap.Width(), bitmap.Height()};
  if (ABackgroundColor == clNone)
    cxBitBlt(bitmap.Canvas()->Handle(), ACanvas->Handle(), r, ARect.TopLeft(), SRCCOPY);
  else
    bitmap.cxCanvas()->FillRect(r, ABackgroundColor);
  DrawSkinElement(face, bitmap.cxCanvas(), r, 0, esNormal, AScaleFactor);
  DrawScaledModernClockHands(bitmap.cxCanvas(), r, ADateTime, face->TextColor(), AScaleFactor);
  DrawSkinElement(glass, bitmap.cxCanvas(), r, 0, esNormal, AScaleFactor);
  cxBitBlt(ACanvas->Handle(), bitmap.Canvas()->Handle(), ARect, TPoint{0, 0}, SRCCOPY);
}

// --- Gauges, charts, layout controls and rich editors
// --------------------------------------------------------------

TColor TdxSkinLookAndFeelPainter::GaugeControlBackgroundColor() {
  TdxSkinElement* background = GetSkinInfo()->GaugeBackground;
  return IsSkinElementColorAssigned(background) ? background->Color()
                                                : inherited::GaugeControlBackgroundColor();
}

void TdxSkinLookAndFeelPainter::DrawGaugeControlBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                           bool ATransparent, TColor /*ABackgroundColor*/) {
  TcxCustomLookAndFeelPainter::DrawBackground(ACanvas, ARect, ATransparent, GaugeControlBackgroundColor(),
                                              nullptr);
}

TColor TdxSkinLookAndFeelPainter::DefaultChartHistogramPlotColor() {
  return DefaultContentColor();
}

IdxColorPalettePtr TdxSkinLookAndFeelPainter::LayoutControlGetColorPaletteForGroupButton(
    TcxButtonState AState) {
  return ButtonColorPalette(AState);
}

IdxColorPalettePtr TdxSkinLookAndFeelPainter::LayoutControlGetColorPaletteForItemCaption() {
  TdxSkinElement* content = GetSkinInfo()->FormContent;
  return content ? GetSkinElementColorPalette(content, esNormal)
                 : inherited::LayoutControlGetColorPaletteForItemCaption();
}

IdxColorPalettePtr TdxSkinLookAndFeelPainter::LayoutControlGetColorPaletteForTabbedGroupCaption(
    bool AIsActive) {
  TdxSkinElement* tab = GetSkinInfo()->PageControlHeader;
  return tab ? GetSkinElementColorPalette(tab, AIsActive ? esActive : esNormal)
             : inherited::LayoutControlGetColorPaletteForTabbedGroupCaption(AIsActive);
}

TColor TdxSkinLookAndFeelPainter::RichEditControlHeaderFooterLineColor() {
  return DefaultControlColor();
}

TColor TdxSkinLookAndFeelPainter::RichEditControlHeaderFooterMarkBackColor() {
  return DefaultControlColor();
}

TColor TdxSkinLookAndFeelPainter::RichEditControlHeaderFooterMarkTextColor() {
  return DefaultControlTextColor();
}

TColor TdxSkinLookAndFeelPainter::RichEditRulerDefaultTabColor() {
  return SkinColorOr(GetSkinInfo()->RichEditRulerDefaultTabColor, inherited::RichEditRulerDefaultTabColor());
}

TColor TdxSkinLookAndFeelPainter::RichEditRulerTextColor() {
  return SkinColorOr(GetSkinInfo()->RichEditRulerTextColor, inherited::RichEditRulerTextColor());
}

// --- Group boxes and panels
// ----------------------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawGroupBoxContent(TcxCanvas* ACanvas, const TRect& ABorderRect,
                                                    TcxGroupBoxCaptionPosition ACaptionPosition,
                                                    const TcxBorders& ABorders) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElement* frame = info->GroupBoxElements[ACaptionPosition];
  TdxSkinElement* client = info->GroupBoxClient;
  if (!frame || !client) {
    inherited::DrawGroupBoxContent(ACanvas, ABorderRect, ACaptionPosition, cxBordersAll);
    return;
  }
  if (cxRectIsEmpty(ABorderRect)) return;
  SkinPainterClipScope clip(ACanvas, ABorderRect);
  const TRect widths = GetSkinElementBordersWidth(frame);
  TRect inside = ABorderRect;
  if (ABorders.Contains(bLeft)) inside.Left += widths.Left;
  if (ABorders.Contains(bTop)) inside.Top += widths.Top;
  if (ABorders.Contains(bRight)) inside.Right -= widths.Right;
  if (ABorders.Contains(bBottom)) inside.Bottom -= widths.Bottom;
  DrawSkinElement(client, ACanvas, inside, 0, esNormal);
  ACanvas->ExcludeClipRect(inside);
  DrawSkinElement(frame, ACanvas, ABorderRect, 0, esNormal);
}

void TdxSkinLookAndFeelPainter::DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool /*AEnabled*/,
                                                  TcxGroupBoxCaptionPosition ACaptionPosition,
                                                  const TcxBorders& ABorders) {
  DrawGroupBoxContent(ACanvas, R, ACaptionPosition, ABorders);
}

void TdxSkinLookAndFeelPainter::DrawGroupBoxCaption(TcxCanvas* ACanvas, const TRect& ACaptionRect,
                                                    const TRect& ATextRect,
                                                    TcxGroupBoxCaptionPosition ACaptionPosition) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElement* caption = info->GroupBoxCaptionElements[ACaptionPosition];
  if (!caption) {
    inherited::DrawGroupBoxCaption(ACanvas, ACaptionRect, ATextRect, ACaptionPosition);
    return;
  }
  DrawGroupCaption(ACanvas, ACaptionRect, esNormal, info->GroupBoxCaptionTextPadding[ACaptionPosition],
                   caption, ATextRect);
}

void TdxSkinLookAndFeelPainter::DrawGroupBoxBackground(TcxCanvas* ACanvas, const TRect& ABounds,
                                                       const TRect& ARect) {
  if (!DrawSkinElement(GetSkinInfo()->GroupBoxClient, ACanvas, ARect, 0, esNormal))
    inherited::DrawGroupBoxBackground(ACanvas, ABounds, ARect);
}

TRect TdxSkinLookAndFeelPainter::GroupBoxBorderSize(bool ACaption,
                                                    TcxGroupBoxCaptionPosition ACaptionPosition) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElement* element =
      ACaption ? info->GroupBoxCaptionElements[ACaptionPosition] : info->GroupBoxElements[ACaptionPosition];
  return element ? ContentOffsets(element) : inherited::GroupBoxBorderSize(ACaption, ACaptionPosition);
}

int32_t TdxSkinLookAndFeelPainter::GroupBoxCaptionTailSize(TcxGroupBoxCaptionPosition ACaptionPosition) {
  TdxSkinIntegerProperty* tail = GetSkinInfo()->GroupBoxCaptionTailSizes[ACaptionPosition];
  return tail ? tail->Value() : inherited::GroupBoxCaptionTailSize(ACaptionPosition);
}

TColor TdxSkinLookAndFeelPainter::GroupBoxTextColor(bool AEnabled,
                                                    TcxGroupBoxCaptionPosition ACaptionPosition) {
  if (ACaptionPosition == cxgpCenter) return PanelTextColor();
  TdxSkinElement* caption = GetSkinInfo()->GroupBoxCaptionElements[ACaptionPosition];
  return caption ? caption->TextColor() : inherited::GroupBoxTextColor(AEnabled, ACaptionPosition);
}

void TdxSkinLookAndFeelPainter::GroupBoxAdjustCaptionFont(TFont* ACaptionFont,
                                                          TcxGroupBoxCaptionPosition ACaptionPosition) {
  if (IsFontBold(GetSkinInfo()->GroupBoxCaptionElements[ACaptionPosition]))
    ACaptionFont->SetStyle(ACaptionFont->Style() + TFontStyles{fsBold});
}

bool TdxSkinLookAndFeelPainter::IsGroupBoxCaptionTextDrawnOverBorder(
    TcxGroupBoxCaptionPosition ACaptionPosition) {
  return IsSkinElementColorAssigned(GetSkinInfo()->GroupBoxCaptionElements[ACaptionPosition]);
}

bool TdxSkinLookAndFeelPainter::IsGroupBoxTransparent(bool AIsCaption,
                                                      TcxGroupBoxCaptionPosition ACaptionPosition) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElement* element =
      AIsCaption ? info->GroupBoxCaptionElements[ACaptionPosition] : info->GroupBoxElements[ACaptionPosition];
  return element ? element->IsAlphaUsed() : inherited::IsGroupBoxTransparent(AIsCaption, ACaptionPosition);
}

void TdxSkinLookAndFeelPainter::DrawGroupBoxScaledButton(TcxCanvas* ACanvas, const TRect& R,
                                                         TcxButtonState AState,
                                                         TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->GroupButton, ACanvas, R, 0, ButtonStateToSkinState[AState],
                       AScaleFactor))
    inherited::DrawGroupBoxScaledButton(ACanvas, R, AState, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawGroupBoxScaledExpandGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                              TcxButtonState AState, bool AExpanded,
                                                              TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->GroupButtonExpandGlyph, ACanvas, R, AExpanded ? 0 : 1,
                       ButtonStateToSkinState[AState], AScaleFactor))
    inherited::DrawGroupBoxScaledExpandGlyph(ACanvas, R, AState, AExpanded, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawGroupBoxScaledExpandButton(TcxCanvas* ACanvas, const TRect& R,
                                                               TcxButtonState AState, bool AExpanded,
                                                               TdxScaleFactor* AScaleFactor,
                                                               TcxRotationAngle ARotationAngle) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  if (!info->GroupButton) {
    TcxCustomLookAndFeelPainter::DrawGroupBoxScaledExpandButton(ACanvas, R, AState, AExpanded, AScaleFactor,
                                                                ARotationAngle);
    return;
  }
  const TdxSkinElementState state = ButtonStateToSkinState[AState];
  if (ARotationAngle == ra0) {
    DrawSkinElement(info->GroupButton, ACanvas, R, 0, state, AScaleFactor);
    DrawSkinElement(info->GroupButtonExpandGlyph, ACanvas, R, AExpanded ? 0 : 1, state, AScaleFactor);
    return;
  }
  if (cxRectIsEmpty(R)) return;
  const bool swap = ARotationAngle == raPlus90 || ARotationAngle == raMinus90;
  const int32_t w = swap ? cxRectHeight(R) : cxRectWidth(R);
  const int32_t h = swap ? cxRectWidth(R) : cxRectHeight(R);
  TcxBitmap32 bitmap(w, h, true);
  info->GroupButton->Draw(bitmap.Canvas()->Handle(), TRect{0, 0, w, h}, AScaleFactor, 0, state);
  if (info->GroupButtonExpandGlyph)
    info->GroupButtonExpandGlyph->Draw(bitmap.Canvas()->Handle(), TRect{0, 0, w, h}, AScaleFactor,
                                       AExpanded ? 0 : 1, state);
  bitmap.Rotate(ARotationAngle);
  cxAlphaBlend(ACanvas->Handle(), &bitmap, R, TRect{0, 0, bitmap.Width(), bitmap.Height()});
}

void TdxSkinLookAndFeelPainter::DrawPanelContent(TcxCanvas* ACanvas, const TRect& ARect, bool ADrawBorders) {
  if (!DrawSkinElement(GetSkinInfo()->GroupBoxClient, ACanvas, ARect, 0, esNormal)) {
    inherited::DrawPanelContent(ACanvas, ARect, ADrawBorders);
    return;
  }
  if (ADrawBorders) DrawPanelBorders(ACanvas, ARect);
}

void TdxSkinLookAndFeelPainter::DrawPanelBorders(TcxCanvas* ACanvas, const TRect& ABorderRect) {
  TdxSkinElement* panel = GetSkinInfo()->GroupBoxElements[cxgpCenter];
  if (!panel) {
    inherited::DrawPanelBorders(ACanvas, ABorderRect);
    return;
  }
  SkinPainterClipScope clip(ACanvas, ABorderRect);
  ACanvas->ExcludeClipRect(cxRectContent(ABorderRect, ContentOffsets(panel)));
  DrawSkinElement(panel, ACanvas, ABorderRect, 0, esNormal);
}

TRect TdxSkinLookAndFeelPainter::PanelBorderSize() {
  TdxSkinElement* panel = GetSkinInfo()->GroupBoxElements[cxgpCenter];
  return panel ? ContentOffsets(panel) : inherited::PanelBorderSize();
}

TColor TdxSkinLookAndFeelPainter::PanelTextColor() {
  TdxSkinElement* client = GetSkinInfo()->GroupBoxClient;
  return client ? client->TextColor() : inherited::PanelTextColor();
}

// --- Hints and screen tips
// -------------------------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawHintBackground(TcxCanvas* ACanvas, const TRect& ARect, TColor AColor) {
  TdxSkinElement* tip = GetSkinInfo()->ScreenTipWindow;
  if (!DrawSkinElement(tip, ACanvas, cxRectInflate(ARect, ContentOffsets(tip)), 0, esNormal))
    inherited::DrawHintBackground(ACanvas, ARect, AColor);
}

TColor TdxSkinLookAndFeelPainter::GetHintBorderColor() {
  TdxSkinElement* tip = GetSkinInfo()->ScreenTipWindow;
  return tip ? tip->Borders()->Left()->Color() : inherited::GetHintBorderColor();
}

void TdxSkinLookAndFeelPainter::ScreenTipDrawBackground(TcxCanvas* ACanvas, const TRect& ARect) {
  if (!DrawSkinElement(GetSkinInfo()->ScreenTipWindow, ACanvas, ARect, 0, esNormal))
    inherited::ScreenTipDrawBackground(ACanvas, ARect);
}

void TdxSkinLookAndFeelPainter::ScreenTipDrawFooterLine(TcxCanvas* ACanvas, const TRect& ARect) {
  if (!DrawSkinElement(GetSkinInfo()->ScreenTipSeparator, ACanvas, ARect, 0, esNormal))
    inherited::ScreenTipDrawFooterLine(ACanvas, ARect);
}

int32_t TdxSkinLookAndFeelPainter::ScreenTipGetFooterLineSize() {
  TdxSkinElement* separator = GetSkinInfo()->ScreenTipSeparator;
  return separator ? separator->Size().cy : inherited::ScreenTipGetFooterLineSize();
}

IdxColorPalettePtr TdxSkinLookAndFeelPainter::ScreenTipGetColorPalette() {
  TdxSkinElement* tip = GetSkinInfo()->ScreenTipWindow;
  return tip ? GetSkinElementColorPalette(tip, esNormal) : inherited::ScreenTipGetColorPalette();
}

TColor TdxSkinLookAndFeelPainter::ScreenTipGetDescriptionTextColor() {
  TdxSkinColor* color = GetSkinInfo()->ScreenTipItem;
  return color ? color->Value() : inherited::ScreenTipGetDescriptionTextColor();
}

TColor TdxSkinLookAndFeelPainter::ScreenTipGetTitleTextColor() {
  TdxSkinColor* color = GetSkinInfo()->ScreenTipTitleItem;
  return color ? color->Value() : inherited::ScreenTipGetTitleTextColor();
}

// --- Breadcrumb editor borders
// ---------------------------------------------------------------------------------

TColor TdxSkinLookAndFeelPainter::BreadcrumbEditBordersColor(TdxBreadcrumbEditState AState) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  if (IsColorPropertyAssigned(info->BreadcrumbEditBordersColors[AState]))
    return info->BreadcrumbEditBordersColors[AState]->Value();
  if (IsColorPropertyAssigned(info->BreadcrumbEditBordersColors[dxbcsNormal]))
    return info->BreadcrumbEditBordersColors[dxbcsNormal]->Value();
  return clDefault;
}

}  // namespace qd
