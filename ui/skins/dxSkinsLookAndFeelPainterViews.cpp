// The skin painter's operations for vertical grids, spreadsheets, schedulers, data navigators,
// galleries, print previews and maps.
#include "ui/core/cxGeometry.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/cxGraphicsColors.h"
#include "ui/skins/dxSkinsLookAndFeelPainter.h"
#include "ui/skins/dxSkinsLookAndFeelPainterUtils.h"

namespace qd {

// --- Vertical grids ---------------------------------------------------------------------------------------

TColor TdxSkinLookAndFeelPainter::DefaultVGridCategoryColor() {
  TdxSkinElement* category = GetSkinInfo()->VGridCategory;
  return category ? category->Color() : inherited::DefaultVGridCategoryColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultVGridCategoryTextColor() {
  TdxSkinElement* category = GetSkinInfo()->VGridCategory;
  return category ? category->TextColor() : inherited::DefaultVGridCategoryTextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultVGridHeaderColor() {
  TdxSkinElement* header = GetSkinInfo()->VGridRowHeader;
  return header ? header->Color() : inherited::DefaultVGridHeaderColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultVGridHeaderTextColor() {
  TdxSkinElement* header = GetSkinInfo()->VGridRowHeader;
  return header ? header->TextColor() : inherited::DefaultVGridHeaderTextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultVGridLineColor() {
  TdxSkinElement* line = GetSkinInfo()->VGridLine[0];
  return line ? line->Color() : inherited::DefaultVGridLineColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultVGridBandLineColor() {
  TdxSkinElement* border = GetSkinInfo()->VGridLine[1];
  return border ? border->Color() : inherited::DefaultVGridBandLineColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultVGridContentColor() {
  return SkinColorOr(GetSkinInfo()->VGridContentColor, inherited::DefaultVGridContentColor());
}

TColor TdxSkinLookAndFeelPainter::DefaultVGridContentEvenColor() {
  return SkinColorOr(GetSkinInfo()->ContentEvenColor, DefaultVGridContentColor());
}

TColor TdxSkinLookAndFeelPainter::DefaultVGridContentOddColor() {
  return SkinColorOr(GetSkinInfo()->ContentOddColor, DefaultVGridContentColor());
}

// --- Spreadsheets
// -------------------------------------------------------------------------------------------

TColor TdxSkinLookAndFeelPainter::SpreadSheetContentColor() {
  return SkinColorOr(GetSkinInfo()->SpreadSheetContentColor, inherited::SpreadSheetContentColor());
}

TColor TdxSkinLookAndFeelPainter::SpreadSheetContentTextColor() {
  return SkinColorOr(GetSkinInfo()->SpreadSheetContentTextColor, inherited::SpreadSheetContentTextColor());
}

TColor TdxSkinLookAndFeelPainter::SpreadSheetFrozenPaneSeparatorColor() {
  return SkinColorOr(GetSkinInfo()->SpreadSheetFrozenPaneSeparatorColor,
                     inherited::SpreadSheetFrozenPaneSeparatorColor());
}

TColor TdxSkinLookAndFeelPainter::SpreadSheetGroupLineColor() {
  return SkinColorOr(GetSkinInfo()->SpreadSheetGroupLineColor, inherited::SpreadSheetGroupLineColor());
}

TColor TdxSkinLookAndFeelPainter::SpreadSheetSelectionColor() {
  return SkinColorOr(GetSkinInfo()->SpreadSheetSelectionColor, inherited::SpreadSheetSelectionColor());
}

// --- Schedulers
// -----------------------------------------------------------------------------------------------

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerBackgroundColor() {
  TdxSkinColor* color = GetSkinInfo()->ContentColor;
  return color ? color->Value() : inherited::DefaultSchedulerBackgroundColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerControlColor() {
  TdxSkinColor* color = GetSkinInfo()->ContentColor;
  return color ? color->Value() : inherited::DefaultSchedulerControlColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerBorderColor() {
  TdxSkinColor* color = GetSkinInfo()->ContainerBorderColor;
  return color ? color->Value() : inherited::DefaultSchedulerBorderColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerNavigatorColor() {
  TdxSkinColor* color = GetSkinInfo()->SchedulerNavigatorColor;
  return color ? color->Value() : inherited::DefaultSchedulerNavigatorColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerContentColor(int32_t AResourceIndex) {
  // A negative index takes the first colour rather than reading before the table.
  const int32_t index = AResourceIndex < 0 ? 0 : AResourceIndex % 12;
  TdxSkinColor* color = GetSkinInfo()->SchedulerResourceColors[index];
  return color ? color->Value() : inherited::DefaultSchedulerContentColor(AResourceIndex);
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerEventColor(bool AIsAllDayEvent) {
  return GetSkinInfo()->SchedulerAppointment[1] ? clWindow
                                                : inherited::DefaultSchedulerEventColor(AIsAllDayEvent);
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerEventColorClassic(bool AIsAllDayEvent) {
  return GetSkinInfo()->SchedulerAppointment[1]
             ? clWindow
             : inherited::DefaultSchedulerEventColorClassic(AIsAllDayEvent);
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerViewTextColor() {
  TdxSkinElement* appointment = GetSkinInfo()->SchedulerAppointment[1];
  return appointment ? appointment->TextColor() : inherited::DefaultSchedulerViewTextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerViewSelectedTextColor() {
  return DefaultSchedulerViewTextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerDayHeaderColor() {
  return DefaultHeaderColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerDayHeaderTextColor() {
  return DefaultHeaderTextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerTimeRulerColor() {
  TdxSkinElement* ruler = GetSkinInfo()->SchedulerTimeRuler;
  return IsSkinElementColorAssigned(ruler) ? ruler->Color() : inherited::DefaultSchedulerTimeRulerColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerTimeRulerTextColorClassic() {
  TdxSkinElement* ruler = GetSkinInfo()->SchedulerTimeRuler;
  return IsSkinElementTextColorAssigned(ruler) ? ruler->TextColor()
                                               : inherited::DefaultSchedulerTimeRulerTextColorClassic();
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerYearViewUnusedContentColor(bool AIsWorkTime) {
  const TColor color = DefaultSchedulerContentColor(0);
  return cxColorIsValid(color) ? dxGetDarkerColor(color, AIsWorkTime ? 85 : 80) : color;
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerHeaderContainerTextColor(bool ASelected) {
  TdxSkinElement* area = GetSkinInfo()->SchedulerAllDayArea[ASelected ? 1 : 0];
  return area ? area->TextColor() : inherited::DefaultSchedulerHeaderContainerTextColor(ASelected);
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerDateNavigatorArrowColor(bool AIsHighlight) {
  return DefaultDateNavigatorHeaderTextColor(AIsHighlight);
}

TColor TdxSkinLookAndFeelPainter::DefaultTimeGridMajorScaleTextColor() {
  TdxSkinElement* header = GetSkinInfo()->SchedulerTimeGridHeader[0];
  return IsSkinElementTextColorAssigned(header) ? header->TextColor()
                                                : inherited::DefaultTimeGridMajorScaleTextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultTimeGridMinorScaleTextColor() {
  return DefaultTimeGridMajorScaleTextColor();
}

void TdxSkinLookAndFeelPainter::DrawSchedulerDayHeader(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, const TcxNeighbors& ANeighbors,
    const TcxBorders& ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
    TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const String& AText,
    TFont* AFont, TColor ATextColor, TColor ABkColor, TdxScaleFactor* AScaleFactor,
    const TcxDrawBackgroundEvent& AOnDrawBackground, bool AIsLast, bool AIsGroup) {
  DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz,
                   AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
                   AScaleFactor, AOnDrawBackground, AIsLast, AIsGroup);
}

void TdxSkinLookAndFeelPainter::DrawSchedulerEventProgress(TcxCanvas* ACanvas, const TRect& ABounds,
                                                           const TRect& AProgress,
                                                           const TcxViewParams& AViewParams,
                                                           bool ATransparent) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElement* border = info->ProgressBarElements[0];
  TdxSkinElement* chunk = info->ProgressBarElements[2];
  if (!border || !chunk) {
    inherited::DrawSchedulerEventProgress(ACanvas, ABounds, AProgress, AViewParams, ATransparent);
    return;
  }
  DrawSkinElement(border, ACanvas, ABounds, 0, esNormal);
  DrawSkinElement(chunk, ACanvas, AProgress, 0, esNormal);
}

TRect TdxSkinLookAndFeelPainter::SchedulerEventProgressOffsets() {
  TdxSkinElement* border = GetSkinInfo()->ProgressBarElements[0];
  return border ? ContentOffsets(border) : inherited::SchedulerEventProgressOffsets();
}

void TdxSkinLookAndFeelPainter::DrawSchedulerGroup(TcxCanvas* ACanvas, const TRect& R, TColor AColor) {
  TdxSkinElement* group = GetSkinInfo()->SchedulerGroup;
  if (!group) {
    inherited::DrawSchedulerGroup(ACanvas, R, clDefault);
    return;
  }
  DrawSkinElement(group, ACanvas, R, 0, esNormal);
  if (!cxColorIsValid(AColor) || AColor == clWindow || cxRectIsEmpty(R)) return;
  // Frame 1 drawn on white and made monochrome: every pixel it leaves other than white is tinted.
  TcxBitmap32 outline(cxRectWidth(R), cxRectHeight(R));
  const TRect bounds{0, 0, outline.Width(), outline.Height()};
  outline.cxCanvas()->FillRect(bounds, clWhite);
  DrawSkinElement(group, outline.cxCanvas(), bounds, 1, esNormal);
  TRGBColors pixels;
  outline.GetBitmapColors(pixels);
  HRGN region = cxCreateRegionFromBitmap(pixels, outline.Width(), outline.Height(), clWhite);
  if (!region) return;
  OffsetRgn(region, R.Left, R.Top);
  ACanvas->SaveClipRegion();
  ACanvas->SetClipRegion(new TcxRegion(region), roIntersect);
  ACanvas->FillRect(R, AColor);
  ACanvas->RestoreClipRegion();
}

void TdxSkinLookAndFeelPainter::DrawSchedulerScaledGroupSeparator(
    TcxCanvas* ACanvas, const TRect& ABounds, TColor /*ABackgroundColor*/, TdxScaleFactor* /*AScaleFactor*/,
    const TcxDrawBackgroundEvent& /*AOnDrawBackground*/) {
  ACanvas->FrameRect(ABounds, GetContainerBorderColor(false), 1, TcxBorders{bLeft, bRight});
  ACanvas->FillRect(cxRectInflate(ABounds, -1, 0), DefaultContentColor());
}

void TdxSkinLookAndFeelPainter::DrawSchedulerMilestone(TcxCanvas* ACanvas, const TRect& R) {
  TdxSkinElement* milestone = GetSkinInfo()->SchedulerMilestone;
  if (!milestone) {
    inherited::DrawSchedulerMilestone(ACanvas, R);
    return;
  }
  const int32_t side = std::min(cxRectWidth(R), cxRectHeight(R));
  DrawSkinElement(milestone, ACanvas, cxRectCenter(R, side, side), 0, esNormal);
}

void TdxSkinLookAndFeelPainter::SchedulerNavigationButtonSizes(bool AIsNextButton, TRect& ABorders,
                                                               TSize& AArrowSize, bool& AHasTextArea,
                                                               TdxScaleFactor* AScaleFactor,
                                                               bool AIsVertical) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElement* button = info->SchedulerNavigationButtons[AIsNextButton ? 1 : 0];
  TdxSkinElement* arrow = info->SchedulerNavigationButtonsArrow[AIsNextButton ? 1 : 0];
  if (!button || !arrow) {
    inherited::SchedulerNavigationButtonSizes(AIsNextButton, ABorders, AArrowSize, AHasTextArea, AScaleFactor,
                                              AIsVertical);
    return;
  }
  ABorders = AScaleFactor->Apply(ContentOffsets(button));
  if (AIsVertical) ABorders = cxRectRotate(ABorders);
  AArrowSize = AScaleFactor->Apply(MinSize(arrow));
  if (AIsVertical) std::swap(AArrowSize.cx, AArrowSize.cy);
  AHasTextArea = !button->Image()->Empty() || IsSkinElementColorAssigned(button);
}

void TdxSkinLookAndFeelPainter::CalculateSchedulerNavigationButtonRects(
    bool AIsNextButton, bool ACollapsed, int32_t APrevButtonTextSize, int32_t ANextButtonTextSize,
    TRect& ABounds, TRect& ATextRect, TRect& AArrowRect, TdxScaleFactor* AScaleFactor, bool AIsVertical) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElement* button = info->SchedulerNavigationButtons[AIsNextButton ? 1 : 0];
  TdxSkinElement* arrow = info->SchedulerNavigationButtonsArrow[AIsNextButton ? 1 : 0];
  if (button && arrow) {
    const TSize a = MinSize(arrow);
    TSize size = MinSize(button);
    size = AScaleFactor->Apply(TSize{std::max(size.cx, a.cx), std::max(size.cy, a.cy)});
    // The next button keeps its right (bottom) edge, the previous one its left (top) edge.
    if (!AIsVertical && cxRectWidth(ABounds) < size.cx) {
      if (AIsNextButton)
        ABounds.Left = ABounds.Right - size.cx;
      else
        ABounds.Right = ABounds.Left + size.cx;
    } else if (AIsVertical && cxRectHeight(ABounds) < size.cx) {
      if (AIsNextButton)
        ABounds.Top = ABounds.Bottom - size.cx;
      else
        ABounds.Bottom = ABounds.Top + size.cx;
    }
  }
  inherited::CalculateSchedulerNavigationButtonRects(AIsNextButton, ACollapsed, APrevButtonTextSize,
                                                     ANextButtonTextSize, ABounds, ATextRect, AArrowRect,
                                                     AScaleFactor, AIsVertical);
}

void TdxSkinLookAndFeelPainter::DrawSchedulerNavigationButtonContent(TcxCanvas* ACanvas, const TRect& ARect,
                                                                     const TRect& AArrowRect,
                                                                     bool AIsNextButton,
                                                                     TcxButtonState AState,
                                                                     bool AIsVertical) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElement* button = info->SchedulerNavigationButtons[AIsNextButton ? 1 : 0];
  TdxSkinElement* arrow = info->SchedulerNavigationButtonsArrow[AIsNextButton ? 1 : 0];
  if (!button || !arrow) {
    inherited::DrawSchedulerNavigationButtonContent(ACanvas, ARect, AArrowRect, AIsNextButton, AState,
                                                    AIsVertical);
    return;
  }
  const TdxSkinElementState state = ButtonStateToSkinState[AState];
  // The horizontal button: the outer side's border lies outside the rectangle.
  auto draw = [&](TcxCanvas* ACanvasTo, const TRect& R, const TRect& AArrow) {
    TRect r = R;
    if (AIsNextButton)
      ++r.Right;
    else
      --r.Left;
    {
      SkinPainterClipScope clip(ACanvasTo, R);
      DrawSkinElement(button, ACanvasTo, r, 0, state);
    }
    DrawSkinElement(arrow, ACanvasTo, AArrow, 0, state);
  };
  if (!AIsVertical) {
    draw(ACanvas, ARect, AArrowRect);
    return;
  }
  if (cxRectIsEmpty(ARect)) return;
  // Vertical: drawn lying down in a bitmap, then turned a quarter clockwise onto the rectangle.
  const int32_t w = cxRectWidth(ARect), h = cxRectHeight(ARect);
  TcxBitmap32 bitmap(w, h);
  cxBitBlt(bitmap.Canvas()->Handle(), ACanvas->Handle(), TRect{0, 0, w, h}, ARect.TopLeft(), SRCCOPY);
  bitmap.Rotate(raPlus90);
  const TRect a = cxRectOffset(AArrowRect, -ARect.Left, -ARect.Top);
  TRect lying{a.Top, w - a.Right, a.Bottom, w - a.Left};
  if (!AIsNextButton) lying = cxRectOffset(lying, -1, 0);
  draw(bitmap.cxCanvas(), TRect{0, 0, h, w}, lying);
  bitmap.Rotate(raMinus90);
  cxBitBlt(ACanvas->Handle(), bitmap.Canvas()->Handle(), ARect, TPoint{0, 0}, SRCCOPY);
}

TColor TdxSkinLookAndFeelPainter::SchedulerNavigationButtonTextColor(bool AIsNextButton,
                                                                     TcxButtonState AState,
                                                                     TColor ADefaultColor) {
  TdxSkinElement* button = GetSkinInfo()->SchedulerNavigationButtons[AIsNextButton ? 1 : 0];
  if (!button) return inherited::SchedulerNavigationButtonTextColor(AIsNextButton, AState, ADefaultColor);
  const TColor color = button->GetTextColor(AState);
  return color == clDefault ? ADefaultColor : color;
}

void TdxSkinLookAndFeelPainter::DrawSpreadSheetScaledHeader(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, const TcxNeighbors& ANeighbors,
    const TcxBorders& ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
    TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const String& AText,
    TFont* AFont, TColor ATextColor, TColor ABkColor, TdxScaleFactor* AScaleFactor,
    const TcxDrawBackgroundEvent& AOnDrawBackground, bool AIsLast, bool AIsGroup) {
  DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz,
                   AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
                   AScaleFactor, AOnDrawBackground, AIsLast, AIsGroup);
}

TRect TdxSkinLookAndFeelPainter::SpreadSheetScaledGroupExpandButtonContentOffsets(
    TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* button = GetSkinInfo()->EditButtonElements[0];
  return button ? AScaleFactor->Apply(ContentOffsets(button))
                : inherited::SpreadSheetScaledGroupExpandButtonContentOffsets(AScaleFactor);
}

TColor TdxSkinLookAndFeelPainter::SpreadSheetGroupExpandButtonTextColor(TcxButtonState AState) {
  TdxSkinElement* button = GetSkinInfo()->EditButtonElements[0];
  const TColor color = button ? button->GetTextColor(AState) : clDefault;
  return color != clDefault ? color : inherited::SpreadSheetGroupExpandButtonTextColor(AState);
}

void TdxSkinLookAndFeelPainter::DrawSpreadSheetScaledGroupExpandButtonGlyph(
    TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AExpanded, TdxScaleFactor* AScaleFactor,
    TCustomImageList* ADefaultGlyphs) {
  TdxSkinElement* glyphs = GetSkinInfo()->NavigatorGlyphs;
  if (!glyphs) {
    inherited::DrawSpreadSheetScaledGroupExpandButtonGlyph(ACanvas, R, AState, AExpanded, AScaleFactor,
                                                           ADefaultGlyphs);
    return;
  }
  DrawSkinElement(glyphs, ACanvas, cxRectCenter(R, NavigatorScaledButtonGlyphSize(AScaleFactor)),
                  AExpanded ? 8 : 6, esNormal, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawSpreadSheetFormulaBarScaledExpandButton(
    TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AExpanded, TdxScaleFactor* AScaleFactor) {
  ACanvas->FillRect(R, DefaultEditorBackgroundColorEx(esckNormal));
  DrawScaledEditorButton(ACanvas, cxRectInflate(R, 1), cxbkEditorBtn, AState, AScaleFactor, cxbpRight);
  TdxSkinElement* glyph = GetSkinInfo()->EditButtonGlyphs[cxbkComboBtn];
  if (!glyph || cxRectIsEmpty(R)) return;
  TdxGPPaintCanvas* canvas = dxGPPaintCanvas();
  canvas->BeginPaint(ACanvas->Handle(), R);
  if (AExpanded) canvas->FlipWorldTransform(false, true, TdxPointF(0, (R.Top + R.Bottom) / 2.0f));
  glyph->DrawEx(canvas, R, AScaleFactor, 0, ButtonStateToSkinState[AState]);
  canvas->EndPaint();
}

void TdxSkinLookAndFeelPainter::DrawSpreadSheetFormulaBarScaledSeparator(TcxCanvas* ACanvas, const TRect& R,
                                                                         TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* splitter = GetSkinInfo()->Splitter[0];
  if (!splitter) {
    inherited::DrawSpreadSheetFormulaBarScaledSeparator(ACanvas, R, AScaleFactor);
    return;
  }
  if (splitter->Glyph()->Empty())
    DrawSkinElement(splitter, ACanvas, R, 0, esNormal, AScaleFactor);
  else
    splitter->Glyph()->Draw(ACanvas->Handle(), R, AScaleFactor, 0, esNormal);
}

// --- Data navigators
// ----------------------------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawNavigatorScaledButton(TcxCanvas* ACanvas, const TRect& R,
                                                          TcxButtonState AState, TColor ABackgroundColor,
                                                          TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->NavigatorButton, ACanvas, R, 0, ButtonStateToSkinState[AState],
                       AScaleFactor))
    TcxUltraFlatLookAndFeelPainter::DrawNavigatorScaledButton(ACanvas, R, AState, ABackgroundColor,
                                                              AScaleFactor);
}

TRect TdxSkinLookAndFeelPainter::NavigatorScaledButtonGlyphPadding(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* button = GetSkinInfo()->NavigatorButton;
  return button ? AScaleFactor->Apply(ContentOffsets(button))
                : inherited::NavigatorScaledButtonGlyphPadding(AScaleFactor);
}

TColor TdxSkinLookAndFeelPainter::NavigatorButtonTextColor(TcxButtonState AState) {
  TdxSkinElement* button = GetSkinInfo()->NavigatorButton;
  const TColor color = button ? button->GetTextColor(AState) : clDefault;
  return color != clDefault ? color : inherited::NavigatorButtonTextColor(AState);
}

IdxColorPalettePtr TdxSkinLookAndFeelPainter::NavigatorButtonColorPalette(bool AEnabled) {
  TdxSkinElement* button = GetSkinInfo()->NavigatorButton;
  return button ? GetSkinElementColorPalette(button, AEnabled ? esNormal : esDisabled)
                : inherited::NavigatorButtonColorPalette(AEnabled);
}

TSize TdxSkinLookAndFeelPainter::NavigatorScaledButtonGlyphSize(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* glyphs = GetSkinInfo()->NavigatorGlyphs;
  return glyphs ? AScaleFactor->Apply(glyphs->Size())
                : inherited::NavigatorScaledButtonGlyphSize(AScaleFactor);
}

bool TdxSkinLookAndFeelPainter::NavigatorBorderOverlap() {
  return false;
}

TPoint TdxSkinLookAndFeelPainter::NavigatorButtonPressedGlyphOffset() {
  return TPoint{0, 0};
}

TColor TdxSkinLookAndFeelPainter::NavigatorInfoPanelColor() {
  return SkinColorOr(GetSkinInfo()->NavigatorInfoPanelColor, inherited::NavigatorInfoPanelColor());
}

TColor TdxSkinLookAndFeelPainter::NavigatorInfoPanelTextColor() {
  return SkinColorOr(GetSkinInfo()->NavigatorInfoPanelTextColor, inherited::NavigatorInfoPanelTextColor());
}

void TdxSkinLookAndFeelPainter::DrawNavigatorBorder(TcxCanvas* ACanvas, const TRect& R, bool ASelected) {
  TdxSkinColor* color = GetSkinInfo()->ContainerBorderColor;
  if (!color || cxRectIsEmpty(R)) {
    if (!color) TcxUltraFlatLookAndFeelPainter::DrawNavigatorBorder(ACanvas, R, ASelected);
    return;
  }
  TdxGPPaintCanvas* canvas = dxGPPaintCanvas();
  canvas->BeginPaint(ACanvas->Handle(), R);
  const TdxAlphaColor pen = dxColorToAlphaColor(color->Value()), noFill = 0;
  canvas->Rectangle(R, pen, noFill);
  canvas->EndPaint();
}

// --- Galleries
// ----------------------------------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawGalleryBackground(TcxCanvas* ACanvas, const TRect& ABounds) {
  if (!DrawSkinElement(GetSkinInfo()->GalleryBackground, ACanvas, ABounds, 0, esNormal))
    inherited::DrawGalleryBackground(ACanvas, ABounds);
}

void TdxSkinLookAndFeelPainter::DrawGalleryGroupHeader(TcxCanvas* ACanvas, const TRect& ABounds) {
  if (!DrawSkinElement(GetSkinInfo()->GalleryGroup, ACanvas, ABounds, 0, esNormal))
    inherited::DrawGalleryGroupHeader(ACanvas, ABounds);
}

void TdxSkinLookAndFeelPainter::DrawGalleryItemImageFrame(TcxCanvas* ACanvas, const TRect& R) {
  if (!DrawSkinElement(GetSkinInfo()->GalleryItemGlyphFrame, ACanvas, R, 0, esNormal))
    inherited::DrawGalleryItemImageFrame(ACanvas, R);
}

TColor TdxSkinLookAndFeelPainter::GetGalleryGroupTextColor() {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  if (IsSkinElementTextColorAssigned(info->GalleryGroup)) return info->GalleryGroup->TextColor();
  if (IsSkinElementTextColorAssigned(info->GalleryItem)) return info->GalleryItem->TextColor();
  return inherited::GetGalleryGroupTextColor();
}

TColor TdxSkinLookAndFeelPainter::GetGalleryItemCaptionTextColor(TcxButtonState AState) {
  TdxSkinElement* item = GetSkinInfo()->GalleryItem;
  return item ? item->GetTextColor(AState) : inherited::GetGalleryItemCaptionTextColor(AState);
}

bool TdxSkinLookAndFeelPainter::DrawGalleryItemSelectionFirst() {
  return true;
}

TRect TdxSkinLookAndFeelPainter::GetGalleryScaledGroupHeaderContentOffsets(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* group = GetSkinInfo()->GalleryGroup;
  return group ? AScaleFactor->Apply(ContentOffsets(group))
               : inherited::GetGalleryScaledGroupHeaderContentOffsets(AScaleFactor);
}

TColor TdxSkinLookAndFeelPainter::GetGalleryItemDescriptionTextColor(TcxButtonState AState) {
  TdxSkinElement* item = GetSkinInfo()->GalleryItem;
  return item ? item->GetTextColor(AState, u"Description")
              : inherited::GetGalleryItemDescriptionTextColor(AState);
}

IdxColorPalettePtr TdxSkinLookAndFeelPainter::GetGalleryItemColorPalette(TcxButtonState AState) {
  TdxSkinElement* item = GetSkinInfo()->GalleryItem;
  return item ? GetSkinElementColorPalette(item, ButtonStateToSkinState[AState])
              : inherited::GetGalleryItemColorPalette(AState);
}

// --- Print previews
// -----------------------------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawPrintPreviewScaledBackground(TcxCanvas* ACanvas, const TRect& R,
                                                                 TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->PrintingPreviewBackground, ACanvas, R, 0, esNormal, AScaleFactor))
    TcxUltraFlatLookAndFeelPainter::DrawPrintPreviewScaledBackground(ACanvas, R, AScaleFactor);
}

TColor TdxSkinLookAndFeelPainter::PrintPreviewBackgroundTextColor() {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  if (IsSkinElementTextColorAssigned(info->PrintingPreviewBackground))
    return info->PrintingPreviewBackground->TextColor();
  if (IsSkinElementTextColorAssigned(info->MainMenu)) return info->MainMenu->TextColor();
  return inherited::PrintPreviewBackgroundTextColor();
}

void TdxSkinLookAndFeelPainter::DrawPrintPreviewPageScaledBackground(TcxCanvas* ACanvas,
                                                                     const TRect& ABorderRect,
                                                                     const TRect& AContentRect,
                                                                     bool ASelected, bool ADrawContent,
                                                                     TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* border = GetSkinInfo()->PrintingPageBorder;
  if (!border) {
    inherited::DrawPrintPreviewPageScaledBackground(ACanvas, ABorderRect, AContentRect, ASelected,
                                                    ADrawContent, AScaleFactor);
    return;
  }
  if (ADrawContent) ACanvas->FillRect(AContentRect, clWhite);
  ACanvas->SaveClipRegion();
  ACanvas->ExcludeClipRect(AContentRect);
  DrawSkinElement(border, ACanvas, ABorderRect, 0, ASelected ? esActive : esNormal, dxSystemScaleFactor());
  ACanvas->RestoreClipRegion();
}

TRect TdxSkinLookAndFeelPainter::PrintPreviewPageBordersScaledWidth(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* border = GetSkinInfo()->PrintingPageBorder;
  return border ? AScaleFactor->Apply(ContentOffsets(border))
                : inherited::PrintPreviewPageBordersScaledWidth(AScaleFactor);
}

// --- PDF viewers
// --------------------------------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::PDFViewerDrawNavigationPaneBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                                      TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->PDFViewerNavigationPaneBackground, ACanvas, ARect, 0, esActive,
                       AScaleFactor))
    inherited::PDFViewerDrawNavigationPaneBackground(ACanvas, ARect, AScaleFactor);
}

TRect TdxSkinLookAndFeelPainter::PDFViewerNavigationPaneContentOffsets(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* pane = GetSkinInfo()->PDFViewerNavigationPaneBackground;
  return pane ? AScaleFactor->Apply(ContentOffsets(pane))
              : inherited::PDFViewerNavigationPaneContentOffsets(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::PDFViewerDrawNavigationPaneButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                  TcxButtonState AState,
                                                                  TdxScaleFactor* AScaleFactor,
                                                                  bool AMinimized, bool ASelected,
                                                                  bool AIsFirst) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElement* button =
      AMinimized ? info->PDFViewerNavigationPaneButtonMinimized : info->PDFViewerNavigationPaneButton;
  if (!button) {
    inherited::PDFViewerDrawNavigationPaneButton(ACanvas, ARect, AState, AScaleFactor, AMinimized, ASelected,
                                                 AIsFirst);
    return;
  }
  // By TcxButtonState: default, normal, hot, pressed, disabled.
  static constexpr TdxSkinElementState kStates[] = {esNormal, esNormal, esHot, esDisabled, esDisabled};
  TdxSkinElementState state = kStates[AState];
  if (ASelected) {
    if (!button->States().Contains(esDisabled))
      state = esHot;
    else
      state = AIsFirst ? esDisabled : esPressed;
  }
  const TRect r = PDFViewerNavigationPaneButtonRect(ARect, AState, AScaleFactor, ASelected);
  DrawSkinElementRotated(ACanvas, button, AScaleFactor, true, raMinus90, state, r);
  TdxSkinElement* arrow = info->PDFViewerNavigationPaneButtonArrow;
  if (ASelected && !AMinimized && arrow)
    DrawSkinElement(arrow, ACanvas, cxRectCenter(r, dxSkinGetElementSize(arrow, AScaleFactor)), 0, state,
                    AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::PDFViewerNavigationPaneButtonSize(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* button = GetSkinInfo()->PDFViewerNavigationPaneButton;
  return button ? dxSkinGetElementSize(button, AScaleFactor)
                : inherited::PDFViewerNavigationPaneButtonSize(AScaleFactor);
}

TRect TdxSkinLookAndFeelPainter::PDFViewerNavigationPaneButtonContentOffsets(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* button = GetSkinInfo()->PDFViewerNavigationPaneButton;
  return button ? AScaleFactor->Apply(ContentOffsets(button))
                : inherited::PDFViewerNavigationPaneButtonContentOffsets(AScaleFactor);
}

IdxColorPalettePtr TdxSkinLookAndFeelPainter::PDFViewerNavigationPaneButtonColorPalette(
    TcxButtonState AState) {
  TdxSkinElement* button = GetSkinInfo()->PDFViewerNavigationPaneButton;
  return button ? GetSkinElementColorPalette(button, ButtonStateToSkinState[AState])
                : inherited::PDFViewerNavigationPaneButtonColorPalette(AState);
}

TPoint TdxSkinLookAndFeelPainter::PDFViewerNavigationPaneButtonOverlay(TdxScaleFactor* AScaleFactor) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TPoint overlay = inherited::PDFViewerNavigationPaneButtonOverlay(AScaleFactor);
  if (TdxSkinIntegerProperty* p = info->PDFViewerNavigationPaneSelectedPageOverlapValue)
    overlay.X = p->Value();
  if (TdxSkinIntegerProperty* p = info->PDFViewerNavigationPaneSelectedPageExpandValue)
    overlay.Y = p->Value();
  return overlay;
}

void TdxSkinLookAndFeelPainter::PDFViewerDrawNavigationPanePageBackground(TcxCanvas* ACanvas,
                                                                          const TRect& ARect) {
  if (!DrawSkinElement(GetSkinInfo()->PDFViewerNavigationPanePageBackground, ACanvas, ARect, 0, esNormal))
    inherited::PDFViewerDrawNavigationPanePageBackground(ACanvas, ARect);
}

TRect TdxSkinLookAndFeelPainter::PDFViewerNavigationPanePageContentOffsets(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* page = GetSkinInfo()->PDFViewerNavigationPanePageBackground;
  return page ? AScaleFactor->Apply(ContentOffsets(page))
              : inherited::PDFViewerNavigationPanePageContentOffsets(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::PDFViewerDrawNavigationPanePageButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                      TcxButtonState AState,
                                                                      TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->PDFViewerNavigationPanePageButton, ACanvas, ARect, 0,
                       ButtonStateToSkinState[AState], AScaleFactor))
    inherited::PDFViewerDrawNavigationPanePageButton(ACanvas, ARect, AState, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::PDFViewerDrawNavigationPanePageCaptionBackground(TcxCanvas* ACanvas,
                                                                                 const TRect& ARect) {
  if (!DrawSkinElement(GetSkinInfo()->PDFViewerNavigationPanePageCaption, ACanvas, ARect, 0, esNormal))
    inherited::PDFViewerDrawNavigationPanePageCaptionBackground(ACanvas, ARect);
}

TRect TdxSkinLookAndFeelPainter::PDFViewerNavigationPanePageCaptionContentOffsets(
    TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* caption = GetSkinInfo()->PDFViewerNavigationPanePageCaption;
  return caption ? AScaleFactor->Apply(ContentOffsets(caption))
                 : inherited::PDFViewerNavigationPanePageCaptionContentOffsets(AScaleFactor);
}

TColor TdxSkinLookAndFeelPainter::PDFViewerNavigationPanePageCaptionTextColor() {
  TdxSkinElement* caption = GetSkinInfo()->PDFViewerNavigationPanePageCaption;
  return caption ? caption->TextColor() : inherited::PDFViewerNavigationPanePageCaptionTextColor();
}

void TdxSkinLookAndFeelPainter::PDFViewerDrawNavigationPanePageToolbarBackground(TcxCanvas* ACanvas,
                                                                                 const TRect& ARect) {
  if (!DrawSkinElement(GetSkinInfo()->Dock, ACanvas, ARect, 0, esNormal))
    inherited::PDFViewerDrawNavigationPanePageToolbarBackground(ACanvas, ARect);
}

TRect TdxSkinLookAndFeelPainter::PDFViewerNavigationPanePageToolbarContentOffsets(
    TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* bar = GetSkinInfo()->Bar;
  return bar ? AScaleFactor->Apply(ContentOffsets(bar))
             : inherited::PDFViewerNavigationPanePageToolbarContentOffsets(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::PDFViewerDrawFindPanelBackground(TcxCanvas* ACanvas, const TRect& R,
                                                                 const TcxBorders& ABorders) {
  TdxSkinElement* panel = GetSkinInfo()->PDFViewerFindPanel;
  if (!panel) {
    inherited::PDFViewerDrawFindPanelBackground(ACanvas, R, ABorders);
    return;
  }
  DrawSkinElementOnBorders(panel, ACanvas, R, ABorders, panel->Image()->Margins()->Margin(), 0, esNormal);
}

TColor TdxSkinLookAndFeelPainter::PDFViewerSelectionColor() {
  return SkinColorOr(GetSkinInfo()->PDFViewerSelectionColor, inherited::PDFViewerSelectionColor());
}

void TdxSkinLookAndFeelPainter::PDFViewerDrawPageThumbnailPreviewBackground(TcxCanvas* ACanvas,
                                                                            const TRect& ARect) {
  DrawGroupBoxBackground(ACanvas, ARect, ARect);
}

// --- Maps
// ---------------------------------------------------------------------------------------------------

TColor TdxSkinLookAndFeelPainter::MapControlBackgroundColor() {
  return GetSkinInfo()->MapControlBackColor;
}

void TdxSkinLookAndFeelPainter::DrawMapCustomElementBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                               TdxMapControlElementState AState) {
  if (AState == mcesHot || AState == mcesPressed || AState == mcesSelected)
    DrawSkinElement(GetSkinInfo()->MapControlCustomElement, ACanvas, ARect, 0,
                    MapElementStateToSkinElementState[AState]);
}

void TdxSkinLookAndFeelPainter::DrawMapPushpin(TcxCanvas* ACanvas, const TRect& ARect,
                                               TdxMapControlElementState /*AState*/,
                                               TdxScaleFactor* AScaleFactor) {
  DrawSkinElement(GetSkinInfo()->MapControlPushpin, ACanvas, ARect, 0, esNormal, AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::MapControlGetMapPushpinSize(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* pushpin = GetSkinInfo()->MapControlPushpin;
  return pushpin ? AScaleFactor->Apply(pushpin->Size()) : TSize{};
}

TdxAlphaColor TdxSkinLookAndFeelPainter::MapControlPanelBackColor() {
  return GetSkinInfo()->MapControlPanelBackColor;
}

TdxAlphaColor TdxSkinLookAndFeelPainter::MapControlPanelHotTrackedTextColor() {
  return GetSkinInfo()->MapControlPanelHotTrackedTextColor;
}

TdxAlphaColor TdxSkinLookAndFeelPainter::MapControlPanelPressedTextColor() {
  return GetSkinInfo()->MapControlPanelPressedTextColor;
}

TdxAlphaColor TdxSkinLookAndFeelPainter::MapControlPanelTextColor() {
  return GetSkinInfo()->MapControlPanelTextColor;
}

TdxAlphaColor TdxSkinLookAndFeelPainter::MapControlSelectedRegionBackgroundColor() {
  return GetSkinInfo()->MapControlSelectedRegionBackgroundColor;
}

TdxAlphaColor TdxSkinLookAndFeelPainter::MapControlSelectedRegionBorderColor() {
  return GetSkinInfo()->MapControlSelectedRegionBorderColor;
}

// Shape entries 1, 2 and 3: normal, highlighted and selected.
TdxAlphaColor TdxSkinLookAndFeelPainter::MapControlShapeColor() {
  return GetSkinInfo()->MapControlShapeColor[1];
}

TdxAlphaColor TdxSkinLookAndFeelPainter::MapControlShapeHighlightedColor() {
  return GetSkinInfo()->MapControlShapeColor[2];
}

TdxAlphaColor TdxSkinLookAndFeelPainter::MapControlShapeSelectedColor() {
  return GetSkinInfo()->MapControlShapeColor[3];
}

TdxAlphaColor TdxSkinLookAndFeelPainter::MapControlShapeBorderColor() {
  return GetSkinInfo()->MapControlShapeBorderColor[1];
}

TdxAlphaColor TdxSkinLookAndFeelPainter::MapControlShapeBorderHighlightedColor() {
  return GetSkinInfo()->MapControlShapeBorderColor[2];
}

TdxAlphaColor TdxSkinLookAndFeelPainter::MapControlShapeBorderSelectedColor() {
  return GetSkinInfo()->MapControlShapeBorderColor[3];
}

int32_t TdxSkinLookAndFeelPainter::MapControlShapeBorderWidth(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(GetSkinInfo()->MapControlShapeBorderWidth[1]);
}

int32_t TdxSkinLookAndFeelPainter::MapControlShapeBorderHighlightedWidth(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(GetSkinInfo()->MapControlShapeBorderWidth[2]);
}

int32_t TdxSkinLookAndFeelPainter::MapControlShapeBorderSelectedWidth(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(GetSkinInfo()->MapControlShapeBorderWidth[3]);
}

TPoint TdxSkinLookAndFeelPainter::MapControlGetMapPushpinTextOrigin(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(GetSkinInfo()->MapControlPushpinTextOrigin);
}

TRect TdxSkinLookAndFeelPainter::MapControlMapCustomElementSelectionOffset(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(ContentOffsets(GetSkinInfo()->MapControlCustomElement));
}

TdxAlphaColor TdxSkinLookAndFeelPainter::MapControlMapCustomElementTextColor() {
  TdxSkinElement* element = GetSkinInfo()->MapControlCustomElement;
  return element ? dxColorToAlphaColor(element->TextColor(), 255) : 0;
}

TdxAlphaColor TdxSkinLookAndFeelPainter::MapControlMapPushpinTextColor() {
  TdxSkinElement* pushpin = GetSkinInfo()->MapControlPushpin;
  return pushpin ? dxColorToAlphaColor(pushpin->TextColor(), 255) : 0;
}

TdxAlphaColor TdxSkinLookAndFeelPainter::MapControlMapCustomElementTextGlowColor() {
  return GetSkinInfo()->MapControlCustomElementTextGlowColor;
}

TdxAlphaColor TdxSkinLookAndFeelPainter::MapControlMapPushpinTextGlowColor() {
  return GetSkinInfo()->MapControlPushpinTextGlowColor;
}

}  // namespace qd
