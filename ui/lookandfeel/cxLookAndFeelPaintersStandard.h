#pragma once
// The Standard painter: the classic three-dimensional look drawn from system colours, with
// raised and sunken double edges, black frames around default and pressed buttons and no hot
// tracking. It is also the Native painter's fallback whenever a theme cannot be opened.
//
// Frames below are one-pixel complex frames: the first colour on the left and top sides, the
// second on the right and bottom ones.
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd {

class TcxStandardLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
  QD_CLASS(TcxStandardLookAndFeelPainter, TcxCustomLookAndFeelPainter)

 public:
  using TcxCustomLookAndFeelPainter::DrawScaledExpandButton;

  String LookAndFeelName() override;
  TcxLookAndFeelStyle LookAndFeelStyle() override;

  // Metrics.
  int32_t BorderSize() override;
  // 3 for a default button (black frame and two rings), 2 otherwise.
  int32_t ButtonBorderSize(TcxButtonState AState = cxbsNormal) override;
  int32_t ScaledButtonTextOffset(TdxScaleFactor* AScaleFactor) override;
  int32_t ScaledButtonTextShift(TdxScaleFactor* AScaleFactor) override;
  int32_t ScaledExpandButtonSize(TdxScaleFactor* AScaleFactor) override;
  int32_t HeaderBorderSize() override;
  int32_t FooterBorderSize() override;
  int32_t FooterCellBorderSize() override;
  int32_t FooterCellOffset() override;
  int32_t TabBorderSize(bool AVertical) override;
  int32_t HeaderControlSectionBorderSize(TcxButtonState AState = cxbsNormal) override;
  TPoint ScaledSortingMarkSize(TdxScaleFactor* AScaleFactor) override;
  TPoint ScaledSummarySortingMarkSize(TdxScaleFactor* AScaleFactor) override;
  bool IsButtonHotTrack() override;
  TColor ToggleSwitchToggleColor(bool AChecked) override;
  TColor DefaultSchedulerViewContentColor() override;
  TColor DefaultSchedulerTimeRulerBorderColor() override;
  TColor DefaultSchedulerTimeRulerTextColor() override;

  // Borders, frames and buttons.
  void DrawBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawButtonBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) override;
  void DrawCheckBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) override;
  void DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                              TdxScaleFactor* AScaleFactor, TColor AColor = clDefault,
                              TcxButtonState AState = cxbsNormal) override;
  // The Flat painter's group expand button while that painter is registered.
  void DrawScaledGroupExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, TcxButtonState AState,
                                   TdxScaleFactor* AScaleFactor) override;
  void DrawScaledFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                      bool AIsFilterActive, TdxScaleFactor* AScaleFactor) override;
  void DrawScaledToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                   bool AChecked, TdxScaleFactor* AScaleFactor) override;
  void DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool AEnabled,
                         TcxGroupBoxCaptionPosition ACaptionPosition,
                         const TcxBorders& ABorders = cxBordersAll) override;
  void DrawFindPanelBorder(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders) override;
  void DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                 TdxScaleFactor* AScaleFactor) override;
  // Raised while focused or hot, sunken while pressed, nothing otherwise.
  void DrawBreadcrumbEditScaledButton(TcxCanvas* ACanvas, const TRect& ARect,
                                      TdxBreadcrumbEditButtonState AState, bool AIsFirst, bool AIsLast,
                                      TdxScaleFactor* AScaleFactor) override;

  // Headers and footers.
  void DrawHeaderBorder(TcxCanvas* ACanvas, const TRect& R, const TcxNeighbors& ANeighbors,
                        const TcxBorders& ABorders) override;
  void DrawHeaderControlSectionBorder(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders,
                                      TcxButtonState AState) override;
  void DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                             TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                    TdxScaleFactor* AScaleFactor) override;
  void DrawFooterBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawFooterCellBorder(TcxCanvas* ACanvas, const TRect& R) override;
  // A black frame on the sides without a neighbour, the header inside it and the month arrows.
  void DrawScaledMonthHeader(TcxCanvas* ACanvas, const TRect& ABounds, const String& AText,
                             const TcxNeighbors& ANeighbors, const TcxViewParams& AViewParams,
                             const TcxArrowDirections& AArrows, int32_t ASideWidth,
                             TdxScaleFactor* AScaleFactor,
                             const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr) override;

  // Tabs, scheduler, track bar.
  void DrawTabsRoot(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders, bool AVertical) override;
  void DrawTabBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorder ABorder, const TcxBorders& ABorders,
                     bool AVertical) override;
  void DrawSchedulerSplitterBorder(TcxCanvas* ACanvas, const TRect& R, const TcxViewParams& AViewParams,
                                   bool AIsHorizontal) override;
  void DrawTrackBarTrackBounds(TcxCanvas* ACanvas, const TRect& ARect) override;
  void DrawTrackBarThumbBorderUpDown(TcxCanvas* ACanvas, const std::vector<TPoint>& ALightPolyLine,
                                     const std::vector<TPoint>& AShadowPolyLine,
                                     const std::vector<TPoint>& ADarkPolyLine) override;
  void DrawTrackBarThumbBorderBoth(TcxCanvas* ACanvas, const TRect& ARect) override;

  // Page parts in the scroll-bar patterns, line buttons as the system's scroll arrows, the
  // thumb as a raised button; hot parts look normal.
  void DoDrawScaledScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TRect& R, TcxScrollBarPart APart,
                                 TcxButtonState AState, TdxScaleFactor* AScaleFactor) override;

 protected:
  void DrawScrollBarButtonBorder(TcxCanvas* ACanvas, const TRect& R, TcxScrollBarPart APart,
                                 TcxButtonState AState);
};

// Drawing rules the Flat painter shares with the Standard one.
namespace cxClassicPainting {
// Raised first ring on every side, with the pixel fix-ups where a neighbour joins.
void DrawHeaderBorder(TcxCanvas* ACanvas, const TRect& R, const TcxNeighbors& ANeighbors);
void DrawFilterDropDownButton(TcxCustomLookAndFeelPainter* APainter, TcxCanvas* ACanvas, const TRect& R,
                              TcxButtonState AState, bool AIsFilterActive);
void DrawTabsRoot(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders);
void DrawTabBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorder ABorder, const TcxBorders& ABorders,
                   bool AVertical);
// A scroll-bar page part in the first pattern, or the second while pressed; the brush is left
// solid.
void DrawScrollBarPagePart(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
}  // namespace cxClassicPainting

}  // namespace qd
