#pragma once
// The Office11 painter: the office-toolbar look. Surfaces and frames take the colours of the
// Office 11 colour scheme (dxOffice11.h), headers are gradient bands, hot and pressed surfaces
// tube gradients. Every operation it leaves alone is the UltraFlat one; scroll bars, the
// minimal thumb size, the scheduler navigator button and (while buttons are themed) group
// boxes are borrowed from the registered Native painter.
#include "ui/lookandfeel/cxLookAndFeelPaintersUltraFlat.h"

namespace qd {

class TcxOffice11LookAndFeelPainter : public TcxUltraFlatLookAndFeelPainter {
  QD_CLASS(TcxOffice11LookAndFeelPainter, TcxUltraFlatLookAndFeelPainter)

 public:
  // Holds a creation of the scheme's brushes and bitmaps for the painter's lifetime.
  TcxOffice11LookAndFeelPainter();
  ~TcxOffice11LookAndFeelPainter() override;

  using inherited::DrawContent;
  using inherited::DrawScaledExpandButton;

  // Identity and metrics.
  String LookAndFeelName() override;
  TcxLookAndFeelStyle LookAndFeelStyle() override;
  bool NeedRedrawOnResize() override;
  int32_t SeparatorSize() override;
  int32_t HeaderBorderSize() override;
  int32_t NavigatorBorderSize() override;
  // All four sides, whatever the neighbours.
  TcxBorders HeaderBorders(const TcxNeighbors& ANeighbors) override;
  bool IsHeaderHotTrack() override;
  int32_t GridBordersOverlapSize() override;
  int32_t ScaledExpandButtonSize(TdxScaleFactor* AScaleFactor) override;
  int32_t ScaledSmallExpandButtonSize(TdxScaleFactor* AScaleFactor) override;
  bool DrawExpandButtonFirst() override;
  TSize GetBevelMinimalShapeSize(TdxBevelShape AShape) override;
  void GetBevelShapeColors(TColor& AColor1, TColor& AColor2) override;
  TSize ScaledClockSize(TdxScaleFactor* AScaleFactor) override;
  // The registered Native painter's size; the UltraFlat one when none is registered.
  int32_t ScaledScrollBarMinimalThumbSize(bool AVertical, TdxScaleFactor* AScaleFactor) override;

  // Default colours.
  TColor DefaultControlColor() override;
  TColor DefaultControlTextColor() override;
  TColor DefaultTabColor() override;
  TColor DefaultTabsBackgroundColor() override;
  TColor DefaultDateNavigatorHeaderColor() override;
  TColor DefaultDateNavigatorSelectionColor() override;
  TColor DefaultDateNavigatorSelectionTextColor() override;
  TColor DefaultDateNavigatorHeaderHighlightTextColor() override;
  TColor DefaultFilterBoxColor() override;
  TColor DefaultFilterBoxTextColor() override;
  TColor DefaultFooterColor() override;
  TColor DefaultFooterTextColor() override;
  TColor DefaultGroupColor() override;
  TColor DefaultGroupByBoxColor() override;
  TColor DefaultGroupByBoxTextColor() override;
  TColor DefaultHeaderColor() override;
  TColor DefaultHeaderBackgroundColor() override;
  TColor DefaultSchedulerBorderColor() override;
  TColor DefaultSchedulerControlColor() override;
  TColor DefaultSchedulerDayHeaderColor() override;
  TColor DefaultTimeGridMinorScaleColor() override;
  TColor DefaultTimeGridSelectionBarColor() override;
  TColor RichEditControlHeaderFooterLineColor() override;
  TColor RichEditControlHeaderFooterMarkBackColor() override;
  TColor RichEditRulerInactiveAreaColor() override;
  TColor RichEditRulerTabTypeToggleBorderColor() override;

  // Colours of elements.
  TColor BorderHighlightColor() override;
  TColor FilterDropDownButtonBorderColor(TcxButtonState AState) override;
  TColor TabBorderHighlightColor() override;
  TColor FooterSeparatorColor() override;
  TColor GetSplitterInnerColor(bool AHighlighted) override;
  TColor GetSplitterOuterColor(bool AHighlighted) override;
  TColor ButtonColor(TcxButtonState AState) override;
  // Pressed: clHighlightText unless the standard XP colour scheme is active; otherwise the
  // scheme's disabled or enabled text colour.
  TColor ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor = clDefault) override;
  TColor CheckButtonColor(TcxButtonState AState, TcxCheckBoxState ACheckState) override;
  TColor RadioButtonBodyColor(TcxButtonState AState) override;
  TColor GroupBoxTextColor(bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition) override;
  TColor BreadcrumbEditBackgroundColor(TdxBreadcrumbEditState AState) override;

  // Borders, separators, buttons.
  void DrawBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawSchedulerBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DoDrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool AIsVertical) override;
  void DrawButtonBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) override;
  // The scheme's 11 x 11 expand bitmap, its corners blended into the pixels under R's
  // top-left and bottom-right corners, drawn proportionally stretched. The blend is made on a
  // copy: the scheme's bitmaps are shared and stay as they are.
  void DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                              TdxScaleFactor* AScaleFactor, TColor AColor = clDefault,
                              TcxButtonState AState = cxbsNormal) override;
  void DrawScaledSmallExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, TColor ABorderColor,
                                   TdxScaleFactor* AScaleFactor, TColor AColor = clDefault) override;
  void DoDrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect, TdxScaleFactor* AScaleFactor) override;

  // Headers and footers.
  // Drawn at 100 percent whatever scale factor is passed, without the background event.
  void DrawScaledHeader(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                        const TcxNeighbors& ANeighbors, const TcxBorders& ABorders, TcxButtonState AState,
                        TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                        bool AShowEndEllipsis, const String& AText, TFont* AFont, TColor ATextColor,
                        TColor ABkColor, TdxScaleFactor* AScaleFactor,
                        const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr, bool AIsLast = false,
                        bool AIsGroup = false) override;
  void DrawHeaderBorder(TcxCanvas* ACanvas, const TRect& R, const TcxNeighbors& ANeighbors,
                        const TcxBorders& ABorders) override;
  // A section is drawn as a header with a right neighbour only.
  void DrawScaledHeaderControlSection(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                                      const TcxNeighbors& ANeighbors, const TcxBorders& ABorders,
                                      TcxButtonState AState, TAlignment AAlignmentHorz,
                                      TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                                      const String& AText, TFont* AFont, TColor ATextColor, TColor ABkColor,
                                      TdxScaleFactor* AScaleFactor) override;
  // A gradient band (solid for footers) with a hot bar along the bottom edge when hot.
  void DrawContent(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                   TcxButtonState AState, TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                   bool AMultiLine, bool AShowEndEllipsis, const String& AText, TFont* AFont,
                   TColor ATextColor, TColor ABkColor,
                   const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr,
                   bool AIsFooter = false) override;
  void DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                             TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                    TdxScaleFactor* AScaleFactor) override;

  // Scheduler and date navigator.
  void DrawScaledMonthHeader(TcxCanvas* ACanvas, const TRect& ABounds, const String& AText,
                             const TcxNeighbors& ANeighbors, const TcxViewParams& AViewParams,
                             const TcxArrowDirections& AArrows, int32_t ASideWidth,
                             TdxScaleFactor* AScaleFactor,
                             const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr) override;
  void DrawSchedulerNavigationButtonContent(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AArrowRect,
                                            bool AIsNextButton, TcxButtonState AState,
                                            bool AIsVertical) override;
  void DrawSchedulerScaledNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                          TdxScaleFactor* AScaleFactor) override;
  void DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, TRect& R) override;
  void DrawScaledClock(TcxCanvas* ACanvas, const TRect& ARect, TDateTime ADateTime, TColor ABackgroundColor,
                       TdxScaleFactor* AScaleFactor) override;

  // Scroll bars, group boxes, panels, track bars.
  void DoDrawScaledScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TRect& R, TcxScrollBarPart APart,
                                 TcxButtonState AState, TdxScaleFactor* AScaleFactor) override;
  void DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool AEnabled,
                         TcxGroupBoxCaptionPosition ACaptionPosition,
                         const TcxBorders& ABorders = cxBordersAll) override;
  // AColorFrom clDefault: the parent's background shows through; AColorTo clDefault: solid
  // AColorFrom; otherwise a vertical gradient.
  void DrawPanelBackground(TcxCanvas* ACanvas, TWinControl* AControl, const TRect& ABounds,
                           TColor AColorFrom = clDefault, TColor AColorTo = clDefault) override;
  void DrawTrackBarTrackBounds(TcxCanvas* ACanvas, const TRect& ARect) override;
  void DrawTrackBarThumbBorderUpDown(TcxCanvas* ACanvas, const std::vector<TPoint>& ALightPolyLine,
                                     const std::vector<TPoint>& AShadowPolyLine,
                                     const std::vector<TPoint>& ADarkPolyLine) override;
  void DrawTrackBarThumbBorderBoth(TcxCanvas* ACanvas, const TRect& ARect) override;

  // Layout views and controls, breadcrumb edits, drop-down list boxes, tokens, alert windows.
  // The caption is a header band (solid at the top) over the record's border.
  void LayoutViewDrawRecordCaption(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextRect,
                                   TcxGroupBoxCaptionPosition APosition, TcxButtonState AState,
                                   TColor AColor = clDefault, TBitmap* ABitmap = nullptr) override;
  void DrawLayoutControlBackground(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawBreadcrumbEditBorders(TcxCanvas* ACanvas, const TRect& ARect, const TcxBorders& ABorders,
                                 TdxBreadcrumbEditState AState) override;
  void DrawBreadcrumbEditCustomButton(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders,
                                      TdxBreadcrumbEditButtonState AState) override;
  void DrawDropDownListBoxBackground(TcxCanvas* ACanvas, const TRect& ARect, bool AHasBorders) override;
  void DrawDropDownListBoxScaledGutterBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                 TdxScaleFactor* AScaleFactor) override;
  void DrawDropDownListBoxScaledSelection(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGutterRect,
                                          TdxScaleFactor* AScaleFactor) override;
  void DrawDropDownListBoxScaledSeparator(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGutterRect,
                                          TdxScaleFactor* AScaleFactor) override;
  void DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                 TdxScaleFactor* AScaleFactor) override;
  void DrawAlertWindowBackground(TcxCanvas* ACanvas, const TRect& ABounds,
                                 TdxScaleFactor* AScaleFactor) override;

  // Operations this painter adds: the colours of the header band and its edges.
  virtual TColor HeaderBottomColor();
  virtual TColor HeaderDarkEdgeColor();
  virtual TColor HeaderHighlightEdgeColor();
  virtual TColor HeaderTopColor();
};

}  // namespace qd
