#pragma once
// The UltraFlat painter: one-pixel frames, hot and pressed surfaces tinted from the selection
// colour, no bevels. It draws every control of the program while visual styles are off, and
// the Office11 and skin painters build on it.
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd {

class TcxUltraFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
  QD_CLASS(TcxUltraFlatLookAndFeelPainter, TcxCustomLookAndFeelPainter)

 public:
  using TcxCustomLookAndFeelPainter::DrawScaledExpandButton;

  String LookAndFeelName() override;
  TcxLookAndFeelStyle LookAndFeelStyle() override;

  // Metrics.
  int32_t BorderSize() override;
  int32_t HeaderBorderSize() override;
  int32_t FooterBorderSize() override;
  int32_t FooterCellBorderSize() override;
  int32_t TabBorderSize(bool AVertical) override;
  int32_t GridBordersOverlapSize() override;
  int32_t NavigatorBorderSize() override;
  bool NavigatorBorderOverlap() override;
  int32_t FooterCellOffset() override;
  // 2 for a default button, 1 otherwise.
  int32_t ButtonBorderSize(TcxButtonState AState = cxbsNormal) override;
  int32_t ScaledButtonTextOffset(TdxScaleFactor* AScaleFactor) override;
  int32_t ScaledButtonTextShift(TdxScaleFactor* AScaleFactor) override;
  int32_t ScaledExpandButtonSize(TdxScaleFactor* AScaleFactor) override;
  TPoint ScaledSortingMarkSize(TdxScaleFactor* AScaleFactor) override;
  TPoint ScaledSummarySortingMarkSize(TdxScaleFactor* AScaleFactor) override;
  TPoint ScaledFilterCloseButtonSize(TdxScaleFactor* AScaleFactor) override;
  TSize GetScaledSplitterSize(bool AHorizontal, TdxScaleFactor* AScaleFactor) override;
  TSize GetBevelMinimalShapeSize(TdxBevelShape AShape) override;
  void GetBevelShapeColors(TColor& AColor1, TColor& AColor2) override;
  // R less 3 scaled pixels on every side, or R itself when that leaves nothing.
  TRect ScaledButtonFocusRect(TcxCanvas* ACanvas, const TRect& R, TdxScaleFactor* AScaleFactor) override;
  bool IsButtonHotTrack() override;

  // Colours.
  TColor ButtonColor(TcxButtonState AState) override;
  TColor ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor = clDefault) override;
  TcxButtonState ButtonSymbolState(TcxButtonState AState) override;
  TColor RadioButtonBodyColor(TcxButtonState AState) override;
  TColor GetSplitterOuterColor(bool AHighlighted) override;
  TColor DefaultSchedulerBorderColor() override;
  TColor DefaultSchedulerTimeRulerBorderColor() override;
  TColor DefaultSchedulerTimeRulerTextColor() override;
  TColor ToggleSwitchToggleColor(bool AChecked) override;
  TcxBorders HeaderBorders(const TcxNeighbors& ANeighbors) override;
  TcxBorders FooterBorders() override;

  // Borders, buttons and check marks.
  void DrawBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DoDrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool AIsVertical) override;
  void DrawButtonBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) override;
  void DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                              TdxScaleFactor* AScaleFactor, TColor AColor = clDefault,
                              TcxButtonState AState = cxbsNormal) override;
  void DrawCheckBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) override;
  void DrawScaledFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                      bool AIsFilterActive, TdxScaleFactor* AScaleFactor) override;
  void DrawNavigatorScaledButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                 TColor ABackgroundColor, TdxScaleFactor* AScaleFactor) override;
  void DrawNavigatorBorder(TcxCanvas* ACanvas, const TRect& R, bool ASelected) override;
  void DrawScaledToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                   bool AChecked, TdxScaleFactor* AScaleFactor) override;
  void DrawScaledToggleSwitchThumb(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                   TdxScaleFactor* AScaleFactor) override;
  void DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool AEnabled,
                         TcxGroupBoxCaptionPosition ACaptionPosition,
                         const TcxBorders& ABorders = cxBordersAll) override;

  // Headers, footers, tabs.
  void DrawHeaderBorder(TcxCanvas* ACanvas, const TRect& R, const TcxNeighbors& ANeighbors,
                        const TcxBorders& ABorders) override;
  void DrawScaledHeaderEx(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                          const TcxNeighbors& ANeighbors, const TcxBorders& ABorders, TcxButtonState AState,
                          TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                          bool AShowEndEllipsis, const String& AText, TFont* AFont, TColor ATextColor,
                          TColor ABkColor, TdxScaleFactor* AScaleFactor,
                          const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr) override;
  void DrawHeaderControlSectionBorder(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders,
                                      TcxButtonState AState) override;
  void DrawHeaderControlSectionContent(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                                       TcxButtonState AState, TAlignment AAlignmentHorz,
                                       TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                       bool AShowEndEllipsis, const String& AText, TFont* AFont,
                                       TColor ATextColor, TColor ABkColor) override;
  void DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                             TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                    TdxScaleFactor* AScaleFactor) override;
  void DrawFooterBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawFooterBorderEx(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders) override;
  void DrawFooterCellBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawTabBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorder ABorder, const TcxBorders& ABorders,
                     bool AVertical) override;
  void DrawTabsRoot(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders, bool AVertical) override;

  // Scheduler and track bar.
  void DrawSchedulerNavigationButtonContent(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AArrowRect,
                                            bool AIsNextButton, TcxButtonState AState,
                                            bool AIsVertical) override;
  void DrawSchedulerScaledNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                          TdxScaleFactor* AScaleFactor) override;
  void DrawSchedulerSplitterBorder(TcxCanvas* ACanvas, const TRect& R, const TcxViewParams& AViewParams,
                                   bool AIsHorizontal) override;
  void DrawTrackBarTrackBounds(TcxCanvas* ACanvas, const TRect& ARect) override;
  void DrawTrackBarThumbBorderUpDown(TcxCanvas* ACanvas, const std::vector<TPoint>& ALightPolyLine,
                                     const std::vector<TPoint>& AShadowPolyLine,
                                     const std::vector<TPoint>& ADarkPolyLine) override;
  void DrawTrackBarThumbBorderBoth(TcxCanvas* ACanvas, const TRect& ARect) override;

  // Drop-down list box, breadcrumb edit, tokens and print preview.
  TColor DropDownListBoxItemTextColor(bool ASelected) override;
  void DrawDropDownListBoxBackground(TcxCanvas* ACanvas, const TRect& ARect, bool AHasBorders) override;
  void DrawDropDownListBoxScaledGutterBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                 TdxScaleFactor* AScaleFactor) override;
  void DrawDropDownListBoxScaledSelection(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGutterRect,
                                          TdxScaleFactor* AScaleFactor) override;
  void DrawDropDownListBoxScaledSeparator(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGutterRect,
                                          TdxScaleFactor* AScaleFactor) override;
  int32_t BreadcrumbEditScaledButtonAreaSeparatorSize(TdxScaleFactor* AScaleFactor) override;
  TRect BreadcrumbEditScaledButtonContentOffsets(bool AIsFirst, bool AIsLast,
                                                 TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditBorders(TcxCanvas* ACanvas, const TRect& ARect, const TcxBorders& ABorders,
                                 TdxBreadcrumbEditState AState) override;
  void DrawBreadcrumbEditScaledButtonAreaSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                   TdxBreadcrumbEditState AState,
                                                   TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledButton(TcxCanvas* ACanvas, const TRect& ARect,
                                      TdxBreadcrumbEditButtonState AState, bool AIsFirst, bool AIsLast,
                                      TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledDropDownButton(TcxCanvas* ACanvas, const TRect& ARect,
                                              TdxBreadcrumbEditButtonState AState, bool AIsInEditor,
                                              TdxScaleFactor* AScaleFactor) override;
  void DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                 TdxScaleFactor* AScaleFactor) override;
  // The button shadow lightened by a third toward white.
  void DrawPrintPreviewScaledBackground(TcxCanvas* ACanvas, const TRect& R,
                                        TdxScaleFactor* AScaleFactor) override;

  // Line buttons and the thumb as buttons in their state (hot stays hot), page parts in the
  // scroll-bar patterns.
  void DoDrawScaledScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TRect& R, TcxScrollBarPart APart,
                                 TcxButtonState AState, TdxScaleFactor* AScaleFactor) override;

  // Operations this painter adds.
  virtual TColor FilterDropDownButtonBorderColor(TcxButtonState AState);
  // Filled with the face of the matching button state, framed on ABorders while focused, hot
  // or pressed.
  virtual void DrawBreadcrumbEditCustomButton(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders,
                                              TdxBreadcrumbEditButtonState AState);
  virtual TColor TabBorderHighlightColor();
  virtual TColor TabBorderDarkColor();
  virtual TColor BorderHighlightColor();
};

}  // namespace qd
