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

// --- Print previews
// -----------------------------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawPrintPreviewScaledBackground(TcxCanvas* ACanvas, const TRect& R,
                                                                 TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->PrintingPreviewBackground, ACanvas, R, 0, esNormal, AScaleFactor))
    TcxUltraFlatLookAndFeelPainter::DrawPrintPreviewScaledBackground(ACanvas, R, AScaleFactor);
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

}  // namespace qd
