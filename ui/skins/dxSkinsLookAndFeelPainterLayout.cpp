// The skin painter's operations for layout views, Windows-Explorer-style views, Office navigation
// bars, and the spreadsheet's and scheduler's buttons.
#include "ui/core/cxGeometry.h"
#include "ui/graphics/cxGraphicsColors.h"
#include "ui/skins/dxSkinsLookAndFeelPainter.h"
#include "ui/skins/dxSkinsLookAndFeelPainterUtils.h"

namespace qd {

// --- Layout views
// -------------------------------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::LayoutViewDrawRecordCaption(TcxCanvas* ACanvas, const TRect& ABounds,
                                                            const TRect& ATextRect,
                                                            TcxGroupBoxCaptionPosition APosition,
                                                            TcxButtonState AState, TColor AColor,
                                                            TBitmap* ABitmap) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElement* caption = info->LayoutViewRecordCaptionElements[APosition];
  if (!caption) {
    inherited::LayoutViewDrawRecordCaption(ACanvas, ABounds, ATextRect, APosition, AState, AColor, ABitmap);
    return;
  }
  DrawGroupCaption(ACanvas, ABounds, LayoutViewRecordState[AState],
                   info->LayoutViewRecordCaptionTextPadding[APosition], caption, ATextRect);
}

void TdxSkinLookAndFeelPainter::LayoutViewDrawRecordContent(TcxCanvas* ACanvas, const TRect& ABounds,
                                                            TcxGroupBoxCaptionPosition ACaptionPosition,
                                                            TcxButtonState AState,
                                                            const TcxBorders& ABorders) {
  if (!DrawSkinElement(GetSkinInfo()->LayoutViewRecordElements[ACaptionPosition], ACanvas, ABounds, 0,
                       LayoutViewRecordState[AState]))
    inherited::LayoutViewDrawRecordContent(ACanvas, ABounds, ACaptionPosition, AState, ABorders);
}

void TdxSkinLookAndFeelPainter::LayoutViewDrawScaledRecordExpandButton(TcxCanvas* ACanvas,
                                                                       const TRect& ABounds,
                                                                       TcxButtonState AState, bool AExpanded,
                                                                       TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->LayoutViewRecordExpandButton, ACanvas, ABounds, AExpanded ? 0 : 1,
                       ButtonStateToSkinState[AState], AScaleFactor))
    inherited::LayoutViewDrawScaledRecordExpandButton(ACanvas, ABounds, AState, AExpanded, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::LayoutViewDrawItem(TcxCanvas* ACanvas, const TRect& ABounds,
                                                   TcxButtonState AState, const TcxBorders& ABorders) {
  TdxSkinElement* item = GetSkinInfo()->LayoutViewItem;
  if (!item) {
    inherited::LayoutViewDrawItem(ACanvas, ABounds, AState, ABorders);
    return;
  }
  if (AState != cxbsNormal) {
    DrawSkinElement(item, ACanvas, ABounds, 0, ButtonStateToSkinState[AState]);
    return;
  }
  if (!ABorders.Empty())
    DrawSkinElementOnBorders(item, ACanvas, ABounds, ABorders, item->Image()->Margins()->Margin(), 0,
                             esNormal);
}

int32_t TdxSkinLookAndFeelPainter::LayoutViewRecordCaptionTailSize(
    TcxGroupBoxCaptionPosition ACaptionPosition) {
  TdxSkinIntegerProperty* tail = GetSkinInfo()->LayoutViewRecordCaptionTailSizes[ACaptionPosition];
  return tail ? tail->Value() : inherited::LayoutViewRecordCaptionTailSize(ACaptionPosition);
}

TColor TdxSkinLookAndFeelPainter::DefaultLayoutViewCaptionTextColor(
    TcxGroupBoxCaptionPosition /*ACaptionPosition*/, TcxButtonState AState) {
  // By TcxButtonState; every position reads the top caption.
  static constexpr const Char* kNames[] = {nullptr, nullptr, u"TextColorHot", u"TextColorSelected",
                                           u"TextColorInactive"};
  TdxSkinElement* caption = GetSkinInfo()->LayoutViewRecordCaptionElements[cxgpTop];
  TColor color = clDefault;
  if (caption) {
    color = caption->TextColor();
    // A property of another class under that name counts as missing.
    if (kNames[AState])
      if (TdxSkinColor* named = SkinPainterColorProperty(caption, kNames[AState])) color = named->Value();
  }
  return color == clDefault ? DefaultContentTextColor() : color;
}

bool TdxSkinLookAndFeelPainter::LayoutViewRecordCaptionTextBold() {
  return IsFontBold(GetSkinInfo()->LayoutViewRecordCaptionElements[cxgpTop]);
}

TColor TdxSkinLookAndFeelPainter::DefaultLayoutViewContentTextColor(TcxButtonState AState) {
  TdxSkinElement* item = GetSkinInfo()->LayoutViewItem;
  const TColor color = item ? item->GetTextColor(AState) : clDefault;
  return color == clDefault ? DefaultContentTextColor() : color;
}

TRect TdxSkinLookAndFeelPainter::LayoutViewGetPadding(int32_t AElement) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinRectProperty* padding =
      AElement >= 0 && AElement < 6 ? info->LayoutViewElementPadding[AElement] : nullptr;
  return padding ? padding->Value()->Rect() : inherited::LayoutViewGetPadding(AElement);
}

TRect TdxSkinLookAndFeelPainter::LayoutViewGetSpacing(int32_t AElement) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinRectProperty* spacing =
      AElement >= 0 && AElement < 6 ? info->LayoutViewElementSpacing[AElement] : nullptr;
  return spacing ? spacing->Value()->Rect() : inherited::LayoutViewGetSpacing(AElement);
}

// --- Windows-Explorer-style views
// ---------------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::WinExplorerViewDrawGroup(TcxCanvas* ACanvas, const TRect& ABounds,
                                                         TcxButtonState AState, TColor /*AColor*/,
                                                         TBitmap* /*ABitmap*/) {
  if (!DrawSkinElement(GetSkinInfo()->GridWinExplorerViewGroup, ACanvas, ABounds, 0,
                       ButtonStateToSkinState[AState]))
    inherited::WinExplorerViewDrawGroup(ACanvas, ABounds, AState, clDefault, nullptr);
}

void TdxSkinLookAndFeelPainter::WinExplorerViewDrawRecord(TcxCanvas* ACanvas, const TRect& ABounds,
                                                          TcxButtonState AState, TColor /*AColor*/,
                                                          TBitmap* /*ABitmap*/) {
  if (!DrawSkinElement(GetSkinInfo()->GridWinExplorerViewRecord, ACanvas, ABounds, 0,
                       ButtonStateToSkinState[AState]))
    inherited::WinExplorerViewDrawRecord(ACanvas, ABounds, AState, clDefault, nullptr);
}

void TdxSkinLookAndFeelPainter::WinExplorerViewDrawGroupCaptionLine(TcxCanvas* ACanvas,
                                                                    const TRect& ABounds) {
  if (!DrawSkinElement(GetSkinInfo()->GridWinExplorerViewGroupCaptionLine, ACanvas, ABounds, 0, esNormal))
    inherited::WinExplorerViewDrawGroupCaptionLine(ACanvas, ABounds);
}

int32_t TdxSkinLookAndFeelPainter::WinExplorerViewGroupCaptionLineHeight() {
  TdxSkinElement* line = GetSkinInfo()->GridWinExplorerViewGroupCaptionLine;
  return line ? MinSize(line).cy : inherited::WinExplorerViewGroupCaptionLineHeight();
}

void TdxSkinLookAndFeelPainter::WinExplorerViewDrawScaledRecordExpandButton(TcxCanvas* ACanvas,
                                                                            const TRect& ABounds,
                                                                            TcxButtonState AState,
                                                                            bool AExpanded,
                                                                            TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->GridWinExplorerViewGroupExpandButton, ACanvas, ABounds,
                       AExpanded ? 0 : 1, ButtonStateToSkinState[AState], AScaleFactor))
    inherited::WinExplorerViewDrawScaledRecordExpandButton(ACanvas, ABounds, AState, AExpanded, AScaleFactor);
}

TColor TdxSkinLookAndFeelPainter::WinExplorerViewGroupTextColor(TcxButtonState AState) {
  TdxSkinElement* group = GetSkinInfo()->GridWinExplorerViewGroup;
  if (!group) return inherited::WinExplorerViewGroupTextColor(AState);
  const TColor color = group->GetTextColor(AState);
  return color == clDefault ? DefaultContentTextColor() : color;
}

TColor TdxSkinLookAndFeelPainter::WinExplorerViewRecordTextColor(TcxButtonState AState) {
  TdxSkinElement* record = GetSkinInfo()->GridWinExplorerViewRecord;
  if (!record) return inherited::WinExplorerViewRecordTextColor(AState);
  const TColor color = record->GetTextColor(AState);
  return color == clDefault ? DefaultContentTextColor() : color;
}

bool TdxSkinLookAndFeelPainter::WinExplorerViewGroupTextBold() {
  return IsFontBold(GetSkinInfo()->GridWinExplorerViewGroup);
}

// --- Office navigation bars
// -----------------------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::OfficeNavigationBarDrawBackground(TcxCanvas* ACanvas, const TRect& ARect) {
  if (!DrawSkinElement(GetSkinInfo()->NavPaneOfficeNavigationBar, ACanvas, ARect, 0, esNormal))
    inherited::OfficeNavigationBarDrawBackground(ACanvas, ARect);
}

void TdxSkinLookAndFeelPainter::OfficeNavigationBarDrawScaledItemBackground(TcxCanvas* ACanvas,
                                                                            const TRect& ARect,
                                                                            TcxCalendarElementState AState,
                                                                            TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->NavPaneOfficeNavigationBarItem, ACanvas, ARect, 0, esNormal,
                       AScaleFactor))
    inherited::OfficeNavigationBarDrawScaledItemBackground(ACanvas, ARect, AState, AScaleFactor);
}

TColor TdxSkinLookAndFeelPainter::OfficeNavigationBarItemTextColor(TcxCalendarElementState AState) {
  TdxSkinElement* item = GetSkinInfo()->NavPaneOfficeNavigationBarItem;
  return item ? item->GetTextColor(CalendarElementStateToButtonState[AState])
              : inherited::OfficeNavigationBarItemTextColor(AState);
}

TRect TdxSkinLookAndFeelPainter::OfficeNavigationBarScaledContentOffsets(TdxScaleFactor* AScaleFactor) {
  const TRect offsets = ContentOffsets(GetSkinInfo()->NavPaneOfficeNavigationBar);
  return offsets != TRect{} ? AScaleFactor->Apply(offsets)
                            : inherited::OfficeNavigationBarScaledContentOffsets(AScaleFactor);
}

TRect TdxSkinLookAndFeelPainter::OfficeNavigationBarScaledItemContentOffsets(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* item = GetSkinInfo()->NavPaneOfficeNavigationBarItem;
  return item ? AScaleFactor->Apply(ContentOffsets(item))
              : inherited::OfficeNavigationBarScaledItemContentOffsets(AScaleFactor);
}

int32_t TdxSkinLookAndFeelPainter::OfficeNavigationBarScaledItemFontSize(TdxScaleFactor* AScaleFactor) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  return info->NavPaneOfficeNavigationBarItem
             ? AScaleFactor->Apply(8 + info->NavPaneOfficeNavigationBarItemFontDelta)
             : inherited::OfficeNavigationBarScaledItemFontSize(AScaleFactor);
}

TRect TdxSkinLookAndFeelPainter::OfficeNavigationBarScaledButtonItemContentOffsets(
    TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* item = GetSkinInfo()->NavPaneOfficeNavigationBarSkinningItem;
  return item ? AScaleFactor->Apply(ContentOffsets(item))
              : inherited::OfficeNavigationBarScaledButtonItemContentOffsets(AScaleFactor);
}

TColor TdxSkinLookAndFeelPainter::OfficeNavigationBarButtonItemTextColor(TcxCalendarElementState AState) {
  TdxSkinElement* item = GetSkinInfo()->NavPaneOfficeNavigationBarSkinningItem;
  return item ? item->GetTextColor(CalendarElementStateToButtonState[AState])
              : inherited::OfficeNavigationBarButtonItemTextColor(AState);
}

int32_t TdxSkinLookAndFeelPainter::OfficeNavigationBarScaledButtonItemFontSize(TdxScaleFactor* AScaleFactor) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  return info->NavPaneOfficeNavigationBarSkinningItem
             ? AScaleFactor->Apply(8 + info->NavPaneOfficeNavigationBarSkinningItemFontDelta)
             : inherited::OfficeNavigationBarScaledButtonItemFontSize(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::OfficeNavigationBarDrawScaledButtonItemBackground(
    TcxCanvas* ACanvas, const TRect& ARect, TcxCalendarElementState AState, TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->NavPaneOfficeNavigationBarSkinningItem, ACanvas, ARect, 0,
                       CalendarElementStateToSkinElementState[AState], AScaleFactor))
    inherited::OfficeNavigationBarDrawScaledButtonItemBackground(ACanvas, ARect, AState, AScaleFactor);
}

// --- Spreadsheet and scheduler buttons
// ------------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawSchedulerScaledNavigatorButton(TcxCanvas* ACanvas, const TRect& R,
                                                                   TcxButtonState AState,
                                                                   TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->EditButtonElements[0], ACanvas, R, 0, ButtonStateToSkinState[AState],
                       AScaleFactor))
    inherited::DrawSchedulerScaledNavigatorButton(ACanvas, R, AState, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawSpreadSheetScaledGroupExpandButton(TcxCanvas* ACanvas, const TRect& R,
                                                                       TcxButtonState AState,
                                                                       TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->EditButtonElements[0], ACanvas, R, 0, ButtonStateToSkinState[AState],
                       AScaleFactor))
    inherited::DrawSpreadSheetScaledGroupExpandButton(ACanvas, R, AState, AScaleFactor);
}

}  // namespace qd
