#pragma once
// The Native painter: every element drawn through the visual-styles engine. Each operation
// opens the theme of one themed object type (OpenTheme); while that class cannot be opened
// (styles off, or the class missing from the style) the operation draws as the Standard
// painter does, so a missing class leaves the rest themed.
//
// cxLookAndFeelPaintersNative.cpp holds the shared operations, buttons, borders, check boxes,
// expand buttons, scroll bars, headers, footers and tabs; cxLookAndFeelPaintersNativeControls.cpp
// the track bars, filter, zoom and back buttons, hints, popups, the scheduler and the rest.
#include <memory>

#include "platform/os/uxtheme.h"
#include "platform/os/wintypes.h"
#include "ui/core/dxThemeManager.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersStandard.h"

namespace qd {

// The push-button state of a button state: default 5, normal 1, hot 2, pressed 3, disabled 4.
int BtnStateToXPBtnState(TcxButtonState AState);

// The theme colour of a part, state and property of a themed object type; False when the
// class cannot be opened or the theme has no such colour (AColor is then left alone).
bool cxGetThemeColor(TdxThemedObjectType AObjectType, int APartId, int AStateId, int APropId, TColor& AColor);

// The alpha fix-up of a theme part drawn into a zeroed 32-bit bitmap: pixels left all-zero
// stay transparent; every other pixel without alpha (drawn by plain GDI inside the theme,
// opaque black ink included) becomes opaque.
void cxCorrectThemeBitmapAlpha(TcxBitmap32* ABitmap);

// The painter the Native one falls back to for each element its theme class cannot draw.
using TcxWinXPLookAndFeelPainterBase = TcxStandardLookAndFeelPainter;

class TcxWinXPLookAndFeelPainter : public TcxWinXPLookAndFeelPainterBase {
  QD_CLASS(TcxWinXPLookAndFeelPainter, TcxWinXPLookAndFeelPainterBase)

 public:
  // Loads the zoom glyphs from the 32-bit bitmap resources "CX_ZOOMINBUTTONGLYPH" and
  // "CX_ZOOMOUTBUTTONGLYPH"; raises EResNotFound when either is missing.
  TcxWinXPLookAndFeelPainter();
  ~TcxWinXPLookAndFeelPainter() override;

  // Draws part and state into R. At the system scale factor (and without AForceScale) the part
  // goes straight to the device context; otherwise it is drawn into a 32-bit bitmap (of the
  // theme's own part size when AUseThemePartSize, else of R converted to the system scale
  // factor), which is alpha-blended, stretched, into R. Pixels the theme did not touch stay
  // transparent; every other pixel drawn without alpha is made opaque.
  static void DrawScaledThemeBackground(HTHEME ATheme, HDC DC, int APartId, int AStateId, const TRect& R,
                                        TdxScaleFactor* AScaleFactor, bool AForceScale = false,
                                        bool AUseThemePartSize = false);

  // Themed text: AText in ATextAreaBounds with DrawThemeText for the part and state.
  using inherited::DrawContent;
  virtual void DrawContent(TcxCanvas* ACanvas, HTHEME ATheme, int APartId, int AStateId, const TRect& ABounds,
                           const TRect& ATextAreaBounds, TAlignment AAlignmentHorz,
                           TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                           bool AShowPrefix, const String& AText, TFont* AFont, TColor ATextColor,
                           TColor ABkColor);

  // --- Identity and shared metrics ---------------------------------------------------------------
  String LookAndFeelName() override;
  TcxLookAndFeelStyle LookAndFeelStyle() override;
  bool NeedRedrawOnResize() override;
  bool IsButtonHotTrack() override;
  bool IsHeaderHotTrack() override;
  int32_t SeparatorSize() override;
  int32_t BorderSize() override;
  int32_t ButtonBorderSize(TcxButtonState AState = cxbsNormal) override;
  int32_t ScaledButtonTextOffset(TdxScaleFactor* AScaleFactor) override;
  int32_t ScaledButtonTextShift(TdxScaleFactor* AScaleFactor) override;
  TColor ButtonColor(TcxButtonState AState) override;
  TColor ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor = clDefault) override;
  TRect ScaledButtonFocusRect(TcxCanvas* ACanvas, const TRect& R, TdxScaleFactor* AScaleFactor) override;
  TColor DefaultSchedulerBorderColor() override;
  int32_t CheckBorderSize() override;
  TSize ScaledCheckButtonSize(TdxScaleFactor* AScaleFactor) override;
  TSize ScaledRadioButtonSize(TdxScaleFactor* AScaleFactor) override;
  int32_t ScaledExpandButtonSize(TdxScaleFactor* AScaleFactor) override;
  int32_t ScaledSmallExpandButtonSize(TdxScaleFactor* AScaleFactor) override;
  int32_t ScaledGroupExpandButtonSize(TdxScaleFactor* AScaleFactor) override;
  bool DrawExpandButtonFirst() override;
  int32_t HeaderBorderSize() override;
  int32_t HeaderControlSectionBorderSize(TcxButtonState AState = cxbsNormal) override;
  TRect HeaderControlSectionContentBounds(const TRect& ABounds, TcxButtonState AState) override;
  TPoint ScaledSortingMarkSize(TdxScaleFactor* AScaleFactor) override;
  int32_t FooterBorderSize() override;
  int32_t FooterCellBorderSize() override;
  int32_t FooterCellOffset() override;
  bool FooterDrawCellsFirst() override;
  int32_t TabBorderSize(bool AVertical) override;
  bool IsDrawTabImplemented(bool AVertical) override;
  bool IsTabHotTrack(bool AVertical) override;
  int32_t ScaledScrollBarMinimalThumbSize(bool AVertical, TdxScaleFactor* AScaleFactor) override;
  TSize ScaledSizeGripSize(TdxScaleFactor* AScaleFactor) override;
  TSize DoGetSmallCloseButtonSize() override;
  TColor GroupBoxTextColor(bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition) override;
  TColor GetHintBorderColor() override;

  // --- Buttons, arrows, borders and separators -------------------------------------------------
  using inherited::DrawArrow;
  void DrawScaledButton(TcxCanvas* ACanvas, const TRect& R, const String& ACaption, TcxButtonState AState,
                        TdxScaleFactor* AScaleFactor, bool ADrawBorder = true, TColor AColor = clDefault,
                        TColor ATextColor = clDefault, bool AWordWrap = false, bool AIsToolButton = false,
                        TcxButtonPart APart = cxbpButton) override;
  void DrawScaledSmallButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                             TdxScaleFactor* AScaleFactor) override;
  void DrawScaledArrowBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                             TdxScaleFactor* AScaleFactor) override;
  void DrawScaledArrow(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                       TcxArrowDirection AArrowDirection, TdxScaleFactor* AScaleFactor,
                       bool ADrawBorder = true) override;
  void DrawBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DoDrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool AIsVertical) override;

  // --- Check boxes, radio buttons, expand buttons ----------------------------------------------
  using inherited::DrawScaledCheck;
  void DrawScaledCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                       TcxCheckBoxState ACheckState, TColor AColor, TdxScaleFactor* AScaleFactor) override;
  void DrawCheckBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) override;
  void DrawScaledRadioButton(TcxCanvas* ACanvas, int32_t X, int32_t Y, TcxButtonState AButtonState,
                             bool AChecked, bool AFocused, TColor ABrushColor, TdxScaleFactor* AScaleFactor,
                             bool AIsDesigning = false) override;
  void DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                              TdxScaleFactor* AScaleFactor, TColor AColor = clDefault,
                              TcxButtonState AState = cxbsNormal) override;
  void DrawScaledSmallExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, TColor ABorderColor,
                                   TdxScaleFactor* AScaleFactor, TColor AColor = clDefault) override;
  void DrawScaledGroupExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, TcxButtonState AState,
                                   TdxScaleFactor* AScaleFactor) override;
  bool IsPointOverGroupExpandButton(const TRect& R, const TPoint& P) override;

  // --- Scroll bars and size grips ----------------------------------------------------------------
  void DoDrawScaledScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TRect& R, TcxScrollBarPart APart,
                                 TcxButtonState AState, TdxScaleFactor* AScaleFactor) override;
  void DrawScaledScrollBarSplitter(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                   TdxScaleFactor* AScaleFactor) override;
  using inherited::DoDrawSizeGrip;
  void DoDrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect, TdxScaleFactor* AScaleFactor) override;

  // --- Headers, sorting marks, footers, tabs, group boxes, splitters -------------------------
  void DrawScaledHeader(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                        const TcxNeighbors& ANeighbors, const TcxBorders& ABorders, TcxButtonState AState,
                        TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                        bool AShowEndEllipsis, const String& AText, TFont* AFont, TColor ATextColor,
                        TColor ABkColor, TdxScaleFactor* AScaleFactor,
                        const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr, bool AIsLast = false,
                        bool AIsGroup = false) override;
  void DrawHeaderPressed(TcxCanvas* ACanvas, const TRect& ABounds) override;
  void DrawScaledHeaderControlSection(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                                      const TcxNeighbors& ANeighbors, const TcxBorders& ABorders,
                                      TcxButtonState AState, TAlignment AAlignmentHorz,
                                      TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                                      const String& AText, TFont* AFont, TColor ATextColor, TColor ABkColor,
                                      TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                             TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                    TdxScaleFactor* AScaleFactor) override;
  void DrawScaledMonthHeader(TcxCanvas* ACanvas, const TRect& ABounds, const String& AText,
                             const TcxNeighbors& ANeighbors, const TcxViewParams& AViewParams,
                             const TcxArrowDirections& AArrows, int32_t ASideWidth,
                             TdxScaleFactor* AScaleFactor,
                             const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr) override;
  void DrawFilterRowSeparator(TcxCanvas* ACanvas, const TRect& ARect, TColor ABackgroundColor) override;
  void DrawFooterBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawFooterCell(TcxCanvas* ACanvas, const TRect& ABounds, TAlignment AAlignmentHorz,
                      TcxAlignmentVert AAlignmentVert, bool AMultiLine, const String& AText, TFont* AFont,
                      TColor ATextColor, TColor ABkColor,
                      const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr) override;
  void DrawTab(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders, const String& AText,
               TcxButtonState AState, bool AVertical, TFont* AFont, TColor ATextColor, TColor ABkColor,
               bool AShowPrefix = false) override;
  void DrawTabBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorder ABorder, const TcxBorders& ABorders,
                     bool AVertical) override;
  void DrawTabsRoot(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders, bool AVertical) override;
  void DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool AEnabled,
                         TcxGroupBoxCaptionPosition ACaptionPosition,
                         const TcxBorders& ABorders = cxBordersAll) override;
  void DrawScaledSplitter(TcxCanvas* ACanvas, const TRect& ARect, bool AHighlighted, bool AClicked,
                          bool AHorizontal, TdxScaleFactor* AScaleFactor, bool AHasCloseMark = false,
                          TcxArrowDirection AArrowDirection = adLeft) override;

  // --- Lists, editors and other controls (cxLookAndFeelPaintersNativeControls.cpp) -------------
  TColor DefaultSchedulerViewContentColor() override;
  TColor DefaultSchedulerViewContentColorClassic() override;
  TColor DefaultLayoutViewContentTextColor(TcxButtonState AState) override;
  TColor DefaultLayoutViewCaptionTextColor(TcxGroupBoxCaptionPosition ACaptionPosition,
                                           TcxButtonState AState) override;
  TColor DefaultCommandLinkTextColor(TcxButtonState AState, TColor ADefaultColor) override;
  TSize GetScaledCommandLinkGlyphSize(TdxScaleFactor* AScaleFactor) override;
  TRect GetScaledCommandLinkMargins(TdxScaleFactor* AScaleFactor) override;
  TPoint ScaledFilterActivateButtonSize(TdxScaleFactor* AScaleFactor) override;
  TPoint ScaledFilterCloseButtonSize(TdxScaleFactor* AScaleFactor) override;
  int32_t GetEditPopupWindowBorderWidth(TcxEditPopupBorderStyle AStyle) override;
  int32_t GetEditPopupWindowClientEdgeWidth(TcxEditPopupBorderStyle AStyle) override;
  TColor ScreenTipGetDescriptionTextColor() override;
  TColor ScreenTipGetTitleTextColor() override;
  TRect SchedulerEventProgressOffsets() override;
  TSize GetScaledZoomInButtonSize(TdxScaleFactor* AScaleFactor) override;
  TSize GetScaledZoomOutButtonSize(TdxScaleFactor* AScaleFactor) override;
  TSize GetScaledBackButtonSize(TdxScaleFactor* AScaleFactor) override;
  TPoint NavigatorButtonPressedGlyphOffset() override;
  TSize NavigatorScaledButtonMinSize(TdxScaleFactor* AScaleFactor) override;
  TColor ToggleSwitchToggleColor(bool AChecked) override;
  TSize GetBevelMinimalShapeSize(TdxBevelShape AShape) override;

  void DrawSchedulerNavigationButtonContent(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AArrowRect,
                                            bool AIsNextButton, TcxButtonState AState,
                                            bool AIsVertical) override;
  void DrawScaledCommandLinkBackground(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                       TdxScaleFactor* AScaleFactor, TColor AColor = clDefault) override;
  void DrawScaledCommandLinkGlyph(TcxCanvas* ACanvas, const TPoint& AGlyphPos, TcxButtonState AState,
                                  TdxScaleFactor* AScaleFactor) override;
  void DrawScaledFilterCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                   TdxScaleFactor* AScaleFactor) override;
  void DrawScaledFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                      bool AIsFilterActive, TdxScaleFactor* AScaleFactor) override;
  void DrawFindPanelBorder(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders) override;
  void DrawEditPopupWindowBorder(TcxCanvas* ACanvas, TRect& R, TcxEditPopupBorderStyle ABorderStyle,
                                 bool AClientEdge) override;
  void DrawHintBackground(TcxCanvas* ACanvas, const TRect& ARect, TColor AColor = clDefault) override;
  using inherited::DrawScaledIndicatorItem;
  void DrawScaledIndicatorItem(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind, TColor AColor,
                               TdxScaleFactor* AScaleFactor,
                               const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr) override;
  void DrawSchedulerEventProgress(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& AProgress,
                                  const TcxViewParams& AViewParams, bool ATransparent) override;
  void DrawSchedulerScaledNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                          TdxScaleFactor* AScaleFactor) override;
  void DrawSchedulerSplitterBorder(TcxCanvas* ACanvas, const TRect& R, const TcxViewParams& AViewParams,
                                   bool AIsHorizontal) override;
  void DrawScaledZoomInButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                              TdxScaleFactor* AScaleFactor) override;
  void DrawScaledZoomOutButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                               TdxScaleFactor* AScaleFactor) override;
  void DrawScaledBackButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                            TdxScaleFactor* AScaleFactor) override;
  void DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, TRect& R) override;
  void DrawScaledToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                   bool AChecked, TdxScaleFactor* AScaleFactor) override;
  void DrawScaledToggleSwitchThumb(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                   TdxScaleFactor* AScaleFactor) override;
  void DrawPanelBackground(TcxCanvas* ACanvas, TWinControl* AControl, const TRect& ABounds,
                           TColor AColorFrom = clDefault, TColor AColorTo = clDefault) override;
  void CorrectThumbRect(TcxCanvas* ACanvas, TRect& ARect, bool AHorizontal,
                        TcxTrackBarTicksAlign ATicks) override;
  void DrawTrackBarScaledTrack(TcxCanvas* ACanvas, const TRect& ARect, const TRect& ASelection,
                               bool AShowSelection, bool AEnabled, bool AHorizontal, TColor ATrackColor,
                               TdxScaleFactor* AScaleFactor) override;
  void DrawTrackBarScaledThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                               bool AHorizontal, TcxTrackBarTicksAlign ATicks, TColor AThumbColor,
                               TdxScaleFactor* AScaleFactor) override;
  void DrawRangeTrackBarScaledLeftThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                        bool AHorizontal, TcxTrackBarTicksAlign ATicks, TColor AThumbColor,
                                        TdxScaleFactor* AScaleFactor) override;
  void DrawRangeTrackBarScaledRightThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                         bool AHorizontal, TcxTrackBarTicksAlign ATicks, TColor AThumbColor,
                                         TdxScaleFactor* AScaleFactor) override;
  void DrawBevelFrame(TcxCanvas* ACanvas, const TRect& R, TColor AColor1, TColor AColor2,
                      bool ABoxStyle) override;
  void DrawBevelLine(TcxCanvas* ACanvas, const TRect& R, TColor AColor1, TColor AColor2,
                     bool AIsVertical) override;

  // --- Views, drop-down lists, breadcrumb edits, tokens, calendars and galleries
  //     (cxLookAndFeelPaintersNativeLists.cpp) --------------------------------------------------
  TColor WinExplorerViewRecordTextColor(TcxButtonState AState) override;
  TColor BreadcrumbEditBackgroundColor(TdxBreadcrumbEditState AState) override;
  TRect BreadcrumbEditBordersSize() override;
  bool BreadcrumbEditIsFadingSupports() override;
  TRect BreadcrumbEditScaledButtonContentOffsets(bool AIsFirst, bool AIsLast,
                                                 TdxScaleFactor* AScaleFactor) override;
  TRect BreadcrumbEditScaledProgressChunkPadding(TdxScaleFactor* AScaleFactor) override;
  TSize BreadcrumbEditScaledProgressChunkOverlaySize(TdxScaleFactor* AScaleFactor) override;
  TColor DropDownListBoxItemTextColor(bool ASelected) override;
  int32_t DropDownListBoxScaledSeparatorSize(TdxScaleFactor* AScaleFactor) override;
  int32_t AlertWindowCornerRadius() override;
  bool DrawGalleryItemSelectionFirst() override;
  TColor GetModernCalendarHeaderTextColor(const TcxCalendarElementStates& AStates) override;
  TSize ScaledClockSize(TdxScaleFactor* AScaleFactor) override;

  void LayoutViewDrawItem(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                          const TcxBorders& ABorders = cxBordersAll) override;
  void WinExplorerViewDrawRecord(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                 TColor AColor = clDefault, TBitmap* ABitmap = nullptr) override;
  void LayoutViewDrawRecordCaption(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextRect,
                                   TcxGroupBoxCaptionPosition APosition, TcxButtonState AState,
                                   TColor AColor = clDefault, TBitmap* ABitmap = nullptr) override;
  void DrawScaledClock(TcxCanvas* ACanvas, const TRect& ARect, TDateTime ADateTime, TColor ABackgroundColor,
                       TdxScaleFactor* AScaleFactor) override;
  void DrawDropDownListBoxBackground(TcxCanvas* ACanvas, const TRect& ARect, bool AHasBorders) override;
  void DrawDropDownListBoxScaledGutterBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                 TdxScaleFactor* AScaleFactor) override;
  void DrawDropDownListBoxScaledSelection(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGutterRect,
                                          TdxScaleFactor* AScaleFactor) override;
  void DrawDropDownListBoxScaledSeparator(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGutterRect,
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
  void DrawBreadcrumbEditScaledNode(TcxCanvas* ACanvas, const TRect& R, TdxBreadcrumbEditButtonState AState,
                                    bool AHasDelimiter, TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledNodeDelimiter(TcxCanvas* ACanvas, const TRect& R,
                                             TdxBreadcrumbEditButtonState AState,
                                             TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledNodeDelimiterGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                  TdxBreadcrumbEditButtonState AState,
                                                  TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledNodeMoreButtonGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                   TdxBreadcrumbEditButtonState AState,
                                                   TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledProgressChunk(TcxCanvas* ACanvas, const TRect& R,
                                             TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledProgressChunkOverlay(TcxCanvas* ACanvas, const TRect& R,
                                                    TdxScaleFactor* AScaleFactor) override;
  void DrawModernCalendarDateCellSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                           const TcxCalendarElementStates& AStates) override;
  void DrawWheelPickerItemBackground(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState) override;
  void DrawWheelPickerItemBorder(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState) override;
  void DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                 TdxScaleFactor* AScaleFactor) override;

  TcxBitmap32* ZoomInButtonGlyph() const { return FZoomInButtonGlyph.get(); }
  TcxBitmap32* ZoomOutButtonGlyph() const { return FZoomOutButtonGlyph.get(); }

 protected:
  // The theme's size of a part and state (AKind: minimum, true or draw size), and the margins
  // of a margins property as a rectangle of left, top, right and bottom widths; False when the
  // theme has none.
  static bool ThemePartSize(HTHEME ATheme, int APartId, int AStateId, THEMESIZE AKind, TSize& ASize);
  static bool ThemeMargins(HTHEME ATheme, int APartId, int AStateId, int APropId, TRect& AMargins);
  // A tab of the tab class: part 1 in AState (a tab-class state number), rotated through a
  // bitmap for a vertical tab, then the text centred on one line.
  void DrawThemedTab(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders, const String& AText,
                     HTHEME ATheme, int AState, bool AVertical, TFont* AFont, TColor ATextColor,
                     TColor ABkColor, bool AShowPrefix);
  void DrawNativeRangeTrackBarThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                    bool AHorizontal, TColor AThumbColor, TdxScaleFactor* AScaleFactor);
  void NativeZoomButtonDraw(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, TcxBitmap32* AGlyph,
                            TdxScaleFactor* AScaleFactor);
  TSize NativeZoomButtonSize(TcxBitmap32* AGlyph, TdxScaleFactor* AScaleFactor);
  // Part 1 of the button class in the breadcrumb state of AState over R grown by the button
  // content offsets, with 1 on the sides of ABorders; clipped to R.
  void DrawBreadcrumbEditNodePart(TcxCanvas* ACanvas, const TRect& R, TdxBreadcrumbEditButtonState AState,
                                  const TcxBorders& ABorders, TdxScaleFactor* AScaleFactor);

 private:
  std::unique_ptr<TcxBitmap32> FZoomInButtonGlyph;
  std::unique_ptr<TcxBitmap32> FZoomOutButtonGlyph;
};

}  // namespace qd
