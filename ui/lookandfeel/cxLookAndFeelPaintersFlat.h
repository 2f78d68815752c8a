#pragma once
// The Flat painter: a flattened three-dimensional look of single raised and sunken rings in
// system colours, without hot tracking. The Standard painter borrows its group expand button.
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd {

class TcxFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
  QD_CLASS(TcxFlatLookAndFeelPainter, TcxCustomLookAndFeelPainter)

 public:
  using TcxCustomLookAndFeelPainter::DrawScaledExpandButton;

  String LookAndFeelName() override;
  TcxLookAndFeelStyle LookAndFeelStyle() override;

  // Metrics and colours.
  int32_t BorderSize() override;
  int32_t SeparatorSize() override;
  // 2 for a default button (black frame and one ring), 1 otherwise.
  int32_t ButtonBorderSize(TcxButtonState AState = cxbsNormal) override;
  int32_t ScaledButtonTextOffset(TdxScaleFactor* AScaleFactor) override;
  int32_t ScaledButtonTextShift(TdxScaleFactor* AScaleFactor) override;
  int32_t ScaledExpandButtonSize(TdxScaleFactor* AScaleFactor) override;
  int32_t HeaderBorderSize() override;
  int32_t FooterBorderSize() override;
  int32_t FooterCellBorderSize() override;
  int32_t FooterCellOffset() override;
  int32_t TabBorderSize(bool AVertical) override;
  TPoint ScaledSortingMarkSize(TdxScaleFactor* AScaleFactor) override;
  TPoint ScaledSummarySortingMarkSize(TdxScaleFactor* AScaleFactor) override;
  bool IsButtonHotTrack() override;
  TColor ToggleSwitchToggleColor(bool AChecked) override;
  TColor GetSplitterOuterColor(bool AHighlighted) override;
  TColor DefaultSchedulerTimeRulerBorderColor() override;
  TColor DefaultSchedulerTimeRulerTextColor() override;

  // Drawing.
  void DrawBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawButtonBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) override;
  void DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                              TdxScaleFactor* AScaleFactor, TColor AColor = clDefault,
                              TcxButtonState AState = cxbsNormal) override;
  void DrawCheckBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) override;
  void DrawHeaderBorder(TcxCanvas* ACanvas, const TRect& R, const TcxNeighbors& ANeighbors,
                        const TcxBorders& ABorders) override;
  void DrawScaledFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                      bool AIsFilterActive, TdxScaleFactor* AScaleFactor) override;
  void DrawTabBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorder ABorder, const TcxBorders& ABorders,
                     bool AVertical) override;
  void DrawTabsRoot(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders, bool AVertical) override;
  void DrawHeaderControlSectionBorder(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders,
                                      TcxButtonState AState) override;
  void DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                             TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                    TdxScaleFactor* AScaleFactor) override;
  void DrawFooterBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawFooterCellBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawSchedulerSplitterBorder(TcxCanvas* ACanvas, const TRect& R, const TcxViewParams& AViewParams,
                                   bool AIsHorizontal) override;
  void DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool AEnabled,
                         TcxGroupBoxCaptionPosition ACaptionPosition,
                         const TcxBorders& ABorders = cxBordersAll) override;
  void DrawTrackBarTrackBounds(TcxCanvas* ACanvas, const TRect& ARect) override;
  void DrawTrackBarThumbBorderUpDown(TcxCanvas* ACanvas, const std::vector<TPoint>& ALightPolyLine,
                                     const std::vector<TPoint>& AShadowPolyLine,
                                     const std::vector<TPoint>& ADarkPolyLine) override;
  void DrawTrackBarThumbBorderBoth(TcxCanvas* ACanvas, const TRect& ARect) override;
  // Leaves R one row shorter for the caller.
  void DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, TRect& R) override;
  void DrawScaledToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                   bool AChecked, TdxScaleFactor* AScaleFactor) override;
  void DrawFindPanelBorder(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders) override;
  // Line buttons and the thumb as flat buttons, page parts in the scroll-bar patterns; hot
  // parts look normal.
  void DoDrawScaledScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TRect& R, TcxScrollBarPart APart,
                                 TcxButtonState AState, TdxScaleFactor* AScaleFactor) override;
};

}  // namespace qd
