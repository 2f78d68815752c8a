#pragma once
// The painter interface: TcxCustomLookAndFeelPainter, through which every control, editor,
// popup and skin element draws its parts and asks for its default colours and metrics, with
// the unit's shared types and tables.
//
// The class is declared in sections, one per group of operations; each group's definitions
// live in their own file (cxLookAndFeelPainters.cpp for the shared mechanisms,
// cxLookAndFeelPaintersColors.cpp for the default colours, ...). Conventions of every group:
// - An operation whose name contains "Scaled" takes the target scale factor and converts its
//   design sizes (given at 96 DPI) with TdxScaleFactor::Apply; its unscaled companion (same
//   name without the word, non-virtual) calls it with dxSystemScaleFactor(). A descendant
//   overrides only the scaled operation.
// - A colour argument or result of clDefault means the painter's own default for the element;
//   clNone draws nothing where an operation says so.
// - Operations that return a colour palette return nullptr in the base (no recolouring).
// - Descendants that override one overload of a name bring the others back with a
//   using-declaration.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/geometry.h"
#include "platform/base/method.h"
#include "platform/base/types.h"
#include "platform/classes/classes.h"
#include "platform/forms/controls.h"
#include "platform/forms/graphics.h"
#include "ui/core/cxGeometryScaleFactor.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/graphics/dxCoreGraphics.h"

namespace qd {

class TCustomImageList;
class TdxSkinDetails;
class TdxSmartImage;

// --- Shared enumerations (tables are indexed by them; keep the order) -----------------------

// The state argument of nearly every drawing operation; tables indexed by it have five
// entries in this order. The base treats cxbsDefault like cxbsNormal.
enum TcxButtonState : uint8_t { cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled };

enum TcxLookAndFeelKind : uint8_t { lfFlat, lfStandard, lfUltraFlat, lfOffice11 };
enum TcxLookAndFeelStyle : uint8_t { lfsFlat, lfsStandard, lfsUltraFlat, lfsNative, lfsOffice11, lfsSkin };

// Each kind's style, and each style's kind (Native draws as Standard, a skin as UltraFlat).
inline constexpr TcxLookAndFeelStyle cxLookAndFeelStyleMap[] = {lfsFlat, lfsStandard, lfsUltraFlat,
                                                                lfsOffice11};
inline constexpr TcxLookAndFeelKind cxLookAndFeelKindMap[] = {lfFlat,     lfStandard, lfUltraFlat,
                                                              lfStandard, lfOffice11, lfUltraFlat};

enum TcxArrowDirection : uint8_t { adUp, adDown, adLeft, adRight };
enum TcxScrollBarPart : uint8_t { sbpNone, sbpLineUp, sbpLineDown, sbpThumbnail, sbpPageUp, sbpPageDown };
enum TcxCheckBoxState : uint8_t { cbsUnchecked, cbsChecked, cbsGrayed };
enum TcxContainerBorderStyle : uint8_t {
  cbsNone,
  cbsSingle,
  cbsThick,
  cbsFlat,
  cbs3D,
  cbsUltraFlat,
  cbsOffice11
};
enum TcxEditPopupBorderStyle : uint8_t { epbsDefault, epbsSingle, epbsFrame3D, epbsFlat };
enum TcxPopupBorderStyle : uint8_t { pbsNone, pbsUltraFlat, pbsFlat, pbs3D };
enum TcxEditBtnKind : uint8_t {
  cxbkCloseBtn,
  cxbkComboBtn,
  cxbkEditorBtn,
  cxbkEllipsisBtn,
  cxbkSpinUpBtn,
  cxbkSpinDownBtn,
  cxbkSpinLeftBtn,
  cxbkSpinRightBtn
};
enum TcxEditBtnPosition : uint8_t { cxbpLeft, cxbpRight };
enum TcxButtonPart : uint8_t { cxbpButton, cxbpDropDownLeftPart, cxbpDropDownRightPart };
enum TcxEditStateColorKind : uint8_t { esckNormal, esckDisabled, esckInactive, esckReadOnly };
enum TcxExpandButtonState : uint8_t { cebsNormal, cebsSelected, cebsInactive };
enum TcxTrackBarTicksAlign : uint8_t { tbtaUp, tbtaDown, tbtaBoth };
enum TcxGroupBoxCaptionPosition : uint8_t { cxgpTop, cxgpBottom, cxgpLeft, cxgpRight, cxgpCenter };
enum TcxIndicatorKind : uint8_t {
  ikNone,
  ikArrow,
  ikEdit,
  ikInsert,
  ikMultiDot,
  ikMultiArrow,
  ikFilter,
  ikInplaceEdit
};
enum TcxNeighbor : uint8_t { nLeft, nTop, nRight, nBottom };
enum TdxCorner : uint8_t { coTopLeft, coTopRight, coBottomLeft, coBottomRight };
enum TdxScrollbarMode : uint8_t { sbmDefault, sbmTouch, sbmClassic, sbmHybrid };

// Bevel shapes and styles.
enum TdxBevelShape : uint8_t {
  dxbsNone,
  dxbsBox,
  dxbsFrame,
  dxbsLineTop,
  dxbsLineBottom,
  dxbsLineLeft,
  dxbsLineRight,
  dxbsLineCenteredHorz,
  dxbsLineCenteredVert
};
enum TdxBevelStyle : uint8_t { dxbsLowered, dxbsRaised };
// The three points of an arrow, drawn as one polygon.
using TcxArrowPoints = std::array<TPoint, 3>;

// --- Unit tables -------------------------------------------------------------------------------

// Border width by TcxContainerBorderStyle.
inline constexpr int32_t cxContainerBorderWidthA1[] = {0, 1, 2, 2, 2, 1, 1};
// By TcxEditPopupBorderStyle.
inline constexpr int32_t cxEditPopupWindowFrameWidthA[] = {0, 1, 4, 2};
inline constexpr int32_t cxEditPopupClientEdgeWidthA[] = {0, 2, 2, 1};
// By the editor's enabled flag.
inline constexpr TcxEditStateColorKind cxEditStateColorKindMap[] = {esckDisabled, esckNormal};

// --- The painter -------------------------------------------------------------------------------

class TcxCustomLookAndFeelPainter : public TPersistent {
  QD_CLASS(TcxCustomLookAndFeelPainter, TPersistent)

 public:
  TcxCustomLookAndFeelPainter();
  // Releases the base's images; a descendant that keeps resources of its own releases them
  // in its own destructor (the registry calls the virtual ReleaseImageResources before it
  // frees a painter).
  ~TcxCustomLookAndFeelPainter() override;

  // --- Identity, details and shared operations ----------------------------------------------

  // A new TdxSkinDetails describing the painter (the caller owns it): LookAndFeelName as name
  // and display name, the built-in styles' group, and the style icons of the program's
  // resources ("CX_LOOKANDFEELSTYLEICON_" + upper-case name + "16"/"48"), or the default icons
  // where there are none.
  virtual TObject* CreateLookAndFeelPainterDetails();
  // The cached details record (a TdxSkinDetails), built on first request; owned by the painter.
  virtual TObject* GetLookAndFeelPainterDetails();
  // Not transparent: fills ARect with ABackgroundColor. Transparent: tiles ABackgroundBitmap
  // over ARect when there is one, else draws nothing.
  virtual void DrawBackground(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent,
                              TColor ABackgroundColor, TBitmap* ABackgroundBitmap);
  // Frees the lazily loaded glyphs and the details record; the next use loads them again.
  virtual void ReleaseImageResources();
  // The skin painter answers its skin information here; the base answers False and leaves
  // AData alone.
  virtual bool GetPainterData(TObject*& AData);
  // True with ADetails set to GetLookAndFeelPainterDetails when there is one; otherwise False
  // and ADetails untouched.
  virtual bool GetPainterDetails(TdxSkinDetails*& ADetails);
  virtual bool IsInternalPainter();
  // The registry name; empty in the base.
  virtual String LookAndFeelName();
  virtual TcxLookAndFeelStyle LookAndFeelStyle();
  virtual bool NeedRedrawOnResize();

  // --- Default colours ----------------------------------------------------------------------
  // The colour of an element whose own style sets none (cxLookAndFeelPaintersColors.cpp).
  // Derived colours ask the operations they follow at each call, so a painter that overrides
  // a basic colour changes the derived ones with it.

  virtual TColor DefaultDateNavigatorHeaderHighlightTextColor();
  virtual TColor DefaultContentColor();
  virtual TColor DefaultContentEvenColor();
  virtual TColor DefaultContentOddColor();
  virtual TColor DefaultContentTextColor();
  virtual TColor DefaultControlColor();
  virtual TColor DefaultControlTextColor();
  virtual TColor DefaultEditorBackgroundColor(bool AIsDisabled);
  virtual TColor DefaultEditorBackgroundColorEx(TcxEditStateColorKind AKind);
  virtual TColor DefaultEditorTextColor(bool AIsDisabled);
  virtual TColor DefaultEditorTextColorEx(TcxEditStateColorKind AKind);
  virtual TColor DefaultFilterBoxColor();
  virtual TColor DefaultFilterBoxTextColor();
  virtual TColor DefaultFixedSeparatorColor();
  virtual TColor DefaultFooterColor();
  virtual TColor DefaultFooterTextColor();
  virtual TColor DefaultGridDetailsSiteColor();
  virtual TColor DefaultGridLineColor();
  virtual TColor DefaultGroupByBoxColor();
  virtual TColor DefaultGroupByBoxTextColor();
  virtual TColor DefaultGroupColor();
  virtual TRect DefaultGroupContentOffsets();
  virtual TColor DefaultGroupTextColor();
  virtual TColor DefaultHeaderBackgroundColor();
  virtual TColor DefaultHeaderBackgroundTextColor();
  virtual TColor DefaultHeaderColor();
  virtual TColor DefaultHeaderTextColor();
  virtual TColor DefaultHyperlinkTextColor();
  virtual TColor DefaultInactiveColor();
  virtual TColor DefaultInactiveTextColor();
  virtual TColor DefaultPreviewTextColor();
  virtual TColor DefaultRecordSeparatorColor();
  virtual TColor DefaultSizeGripAreaColor();
  virtual TColor DefaultTreeListGridLineColor();
  virtual TColor DefaultTreeListTreeLineColor();
  virtual TColor DefaultVGridBandLineColor();
  virtual TColor DefaultVGridCategoryColor();
  virtual TColor DefaultVGridCategoryTextColor();
  virtual TColor DefaultVGridContentColor();
  virtual TColor DefaultVGridContentEvenColor();
  virtual TColor DefaultVGridContentOddColor();
  virtual TColor DefaultVGridContentTextColor();
  virtual TColor DefaultVGridHeaderColor();
  virtual TColor DefaultVGridHeaderTextColor();
  virtual TColor DefaultVGridLineColor();
  virtual TColor DefaultDateNavigatorContentColor();
  virtual TColor DefaultDateNavigatorHeaderColor();
  virtual TColor DefaultDateNavigatorHeaderTextColor(bool AIsHighlight);
  virtual TColor DefaultDateNavigatorHolydayTextColor();
  virtual TColor DefaultDateNavigatorInactiveTextColor();
  virtual TColor DefaultDateNavigatorSelectionColor();
  virtual TColor DefaultDateNavigatorSelectionTextColor();
  virtual TColor DefaultDateNavigatorSeparator1Color();
  virtual TColor DefaultDateNavigatorSeparator2Color();
  virtual TColor DefaultDateNavigatorTextColor();
  virtual TColor DefaultDateNavigatorTodayFrameColor();
  virtual TColor DefaultDateNavigatorTodayTextColor(bool ASelected);
  virtual TColor DefaultSchedulerBackgroundColor();
  virtual TColor DefaultSchedulerBorderColor();
  virtual TColor DefaultSchedulerContentColor(int32_t AResourceIndex);
  virtual TColor DefaultSchedulerControlColor();
  virtual TColor DefaultSchedulerDayHeaderColor();
  virtual TColor DefaultSchedulerDayHeaderBorderColor();
  virtual TColor DefaultSchedulerDayHeaderTextColor();
  virtual TColor DefaultSchedulerDateNavigatorArrowColor(bool AIsHighlight);
  virtual TColor DefaultSchedulerHeaderContainerAlternateBackgroundColor();
  virtual TColor DefaultSchedulerHeaderContainerBackgroundColor(bool ASelected);
  virtual TColor DefaultSchedulerHeaderContainerTextColor(bool ASelected);
  virtual TColor DefaultSchedulerHeaderContainerBorderColor();
  virtual TColor DefaultSchedulerEventColor(bool AIsAllDayEvent);
  virtual TColor DefaultSchedulerEventColorClassic(bool AIsAllDayEvent);
  virtual TColor DefaultSchedulerNavigatorColor();
  virtual TColor DefaultSchedulerSelectedEventBorderColor();
  virtual TColor DefaultSchedulerTextColor();
  virtual TColor DefaultSchedulerTimeRulerBorderColor();
  virtual TColor DefaultSchedulerTimeRulerBorderColorClassic();
  virtual TColor DefaultSchedulerTimeRulerColor();
  virtual TColor DefaultSchedulerTimeRulerColorClassic();
  virtual TColor DefaultSchedulerTimeRulerTextColor();
  virtual TColor DefaultSchedulerTimeRulerTextColorClassic();
  virtual TColor DefaultSchedulerViewContentColor();
  virtual TColor DefaultSchedulerViewContentColorClassic();
  virtual TColor DefaultSchedulerViewSelectedTextColor();
  virtual TColor DefaultSchedulerViewTextColor();
  virtual TColor DefaultSchedulerYearViewUnusedContentColor(bool AIsWorkTime);
  virtual TColor DefaultSelectionColor();
  virtual TColor DefaultSelectionTextColor();
  virtual TColor DefaultSeparatorColor();
  virtual TColor DefaultTabColor();
  virtual TColor DefaultTabTextColor();
  virtual TColor DefaultTabsBackgroundColor();
  virtual TColor DefaultRootTabsBackgroundColor();
  virtual TColor DefaultTimeGridMajorScaleColor();
  virtual TColor DefaultTimeGridMajorScaleTextColor();
  virtual TColor DefaultTimeGridMinorScaleColor();
  virtual TColor DefaultTimeGridMinorScaleTextColor();
  virtual TColor DefaultTimeGridSelectionBarColor();
  virtual TColor DefaultChartDiagramValueBorderColor();
  virtual TColor DefaultChartDiagramValueCaptionTextColor();
  virtual TColor DefaultChartHistogramAxisColor();
  virtual TColor DefaultChartHistogramGridLineColor();
  virtual TColor DefaultChartHistogramPlotColor();
  virtual TColor DefaultChartPieDiagramSeriesSiteBorderColor();
  virtual TColor DefaultChartPieDiagramSeriesSiteCaptionColor();
  virtual TColor DefaultChartPieDiagramSeriesSiteCaptionTextColor();
  virtual TColor DefaultChartToolBoxDataLevelInfoBorderColor();
  virtual TColor DefaultChartToolBoxItemSeparatorColor();
  virtual TColor DefaultLayoutViewCaptionColor(TcxButtonState AState);
  virtual TColor DefaultLayoutViewCaptionTextColor(TcxGroupBoxCaptionPosition ACaptionPosition,
                                                   TcxButtonState AState);
  virtual TColor DefaultLayoutViewContentColor();
  virtual TColor DefaultLayoutViewContentTextColor(TcxButtonState AState);
  virtual TColor DefaultGridOptionsTreeViewCategoryColor(bool ASelected);
  virtual TColor DefaultGridOptionsTreeViewCategoryTextColor(bool ASelected);

  // The grid-like controls' content colours, which the vertical-grid colours follow.
  virtual TColor GridLikeControlBackgroundColor();
  virtual TColor GridLikeControlContentColor();
  virtual TColor GridLikeControlContentEvenColor();
  virtual TColor GridLikeControlContentOddColor();
  virtual TColor GridLikeControlContentTextColor();
  // True when the content, odd and even colours are not all equal.
  virtual bool GridLikeControlDefaultUseOddEvenStyle();

  // --- Operations without a base implementation ----------------------------------------------
  // Each raises EAbstractError unless a descendant overrides it (the classic painters do);
  // they belong to the expand-button (Buttons), sorting-mark (Headers) and filter groups.

  virtual void DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                      TdxScaleFactor* AScaleFactor, TColor AColor = clDefault,
                                      TcxButtonState AState = cxbsNormal);
  virtual int32_t ScaledExpandButtonSize(TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                     TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                            TdxScaleFactor* AScaleFactor);
  virtual TPoint ScaledSortingMarkSize(TdxScaleFactor* AScaleFactor);
  virtual TPoint ScaledSummarySortingMarkSize(TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                              bool AIsFilterActive, TdxScaleFactor* AScaleFactor);

  // --- Arrows, borders and separators --------------------------------------------------------
  // (cxLookAndFeelPaintersArrows.cpp)

  // The small down-pointing triangle of a drop-down button.
  virtual void DrawButtonArrow(TcxCanvas* ACanvas, const TRect& R, TColor AColor);
  // A band AWidth thick centred in R across the separator's direction.
  virtual TRect GetSeparatorBounds(const TRect& R, int32_t AWidth, bool AIsVertical);
  // A filled triangle of CalculateArrowPoints (squared) in AColor.
  virtual void DrawArrow(TcxCanvas* ACanvas, const TRect& R, TcxArrowDirection AArrowDirection, TColor AColor);
  // Two chevrons pointing left, side by side, their strokes ALineWidth wide.
  virtual void DrawCollapseArrow(TcxCanvas* ACanvas, const TRect& R, TColor AColor, int32_t ALineWidth);
  // An arrow button: the background (bordered with ADrawBorder), then the arrow in the
  // state's symbol colour.
  virtual void DrawScaledArrow(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                               TcxArrowDirection AArrowDirection, TdxScaleFactor* AScaleFactor,
                               bool ADrawBorder = true);
  virtual void DrawScaledArrowBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                     TdxScaleFactor* AScaleFactor);
  // The arrow glyph of a scroll-bar button without background: shifted while pressed,
  // embossed while disabled.
  virtual void DrawScaledScrollBarArrow(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                        TcxArrowDirection AArrowDirection, TdxScaleFactor* AScaleFactor);
  virtual int32_t BorderSize();
  virtual int32_t SeparatorSize();
  // Each painter draws its control frame; the base draws nothing.
  virtual void DrawBorder(TcxCanvas* ACanvas, const TRect& R);
  virtual void DrawContainerBorder(TcxCanvas* ACanvas, const TRect& R, TcxContainerBorderStyle AStyle,
                                   int32_t AWidth, TColor AColor, const TcxBorders& ABorders);
  // An etched line; AIsVertical is not used by the base.
  virtual void DoDrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool AIsVertical);
  virtual TColor GetContainerBorderColor(bool AIsHighlightBorder);
  virtual int32_t GetContainerBorderWidth(TcxContainerBorderStyle ABorderStyle);
  // A shadow line above (left of) a highlight line; clDefault colours are the system's.
  virtual void DrawLabelLine(TcxCanvas* ACanvas, const TRect& R, TColor AOuterColor, TColor AInnerColor,
                             bool AIsVertical);
  virtual int32_t LabelLineHeight();
  virtual void DrawBevelFrame(TcxCanvas* ACanvas, const TRect& R, TColor AColor1, TColor AColor2, bool ABoxStyle);
  virtual void DrawBevelLine(TcxCanvas* ACanvas, const TRect& R, TColor AColor1, TColor AColor2, bool AIsVertical);
  virtual void DrawBevelShape(TcxCanvas* ACanvas, const TRect& R, TdxBevelShape AShape, TdxBevelStyle AStyle);
  virtual TSize GetBevelMinimalShapeSize(TdxBevelShape AShape);
  virtual void GetBevelShapeColors(TColor& AColor1, TColor& AColor2);

  // The shared arrow geometry: a triangle in R (made square first when AProportional) whose
  // size is AArrowSize, or a quarter of the rectangle when that is 0.
  void CalculateArrowPoints(const TRect& R, TcxArrowPoints& P, TcxArrowDirection AArrowDirection, bool AProportional,
                            int32_t AArrowSize);
  void DrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool AIsVertical);
  void DrawArrow(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, TcxArrowDirection AArrowDirection,
                 bool ADrawBorder = true);
  void DrawArrowBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  void DrawScrollBarArrow(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                          TcxArrowDirection AArrowDirection);

  // --- Buttons, expand buttons, command links, small buttons, editor buttons, zoom and back
  //     buttons ---------------------------------------------------------------------------------
  // (cxLookAndFeelPaintersButtons.cpp)

  virtual int32_t ButtonBorderSize(TcxButtonState AState = cxbsNormal);
  // The face colour of a push button.
  virtual TColor ButtonColor(TcxButtonState AState);
  virtual IdxColorPalettePtr ButtonColorPalette(TcxButtonState AState);
  virtual TColor ButtonDescriptionTextColor(TcxButtonState AState, TColor ADefaultColor);
  // Arrows, marks and captions: clBtnShadow while disabled, else ADefaultColor (clBtnText for
  // clDefault).
  virtual TColor ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor = clDefault);
  virtual TcxButtonState ButtonSymbolState(TcxButtonState AState);
  virtual TRect ScaledButtonFocusRect(TcxCanvas* ACanvas, const TRect& R, TdxScaleFactor* AScaleFactor);
  virtual int32_t ScaledButtonTextOffset(TdxScaleFactor* AScaleFactor);
  // How far a pressed caption or arrow moves right and down.
  virtual int32_t ScaledButtonTextShift(TdxScaleFactor* AScaleFactor);
  virtual void DrawButtonBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  // A push button: border, face and a centred caption.
  virtual void DrawScaledButton(TcxCanvas* ACanvas, const TRect& R, const String& ACaption, TcxButtonState AState,
                                TdxScaleFactor* AScaleFactor, bool ADrawBorder = true, TColor AColor = clDefault,
                                TColor ATextColor = clDefault, bool AWordWrap = false, bool AIsToolButton = false,
                                TcxButtonPart APart = cxbpButton);
  virtual void DrawScaledSearchEditButtonGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                               TdxScaleFactor* AScaleFactor);
  virtual int32_t GetScaledDropDownButtonRightPartSize(TdxScaleFactor* AScaleFactor);
  virtual bool IsButtonHotTrack();
  virtual bool IsPointOverGroupExpandButton(const TRect& R, const TPoint& P);
  virtual TSize ScaledSearchButtonGlyphSize(TdxScaleFactor* AScaleFactor);
  virtual bool DrawExpandButtonFirst();
  // A button face with the expand mark turned by ARotationAngle.
  virtual void DrawScaledExpandButtonEx(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AExpanded,
                                        TdxScaleFactor* AScaleFactor, TcxRotationAngle ARotationAngle = ra0);
  // Two stacked chevrons with two-pixel strokes: up when expanded, down when collapsed.
  virtual void DrawScaledExpandMark(TcxCanvas* ACanvas, const TRect& R, TColor AColor, bool AExpanded,
                                    TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledGroupExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, TcxButtonState AState,
                                           TdxScaleFactor* AScaleFactor);
  // A framed plus (collapsed) or minus (expanded); AColor fills the inside unless clDefault.
  virtual void DrawScaledSmallExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, TColor ABorderColor,
                                           TdxScaleFactor* AScaleFactor, TColor AColor = clDefault);
  virtual int32_t ScaledExpandButtonAreaSize(TdxScaleFactor* AScaleFactor);
  virtual int32_t ScaledGroupExpandButtonSize(TdxScaleFactor* AScaleFactor);
  virtual int32_t ScaledSmallExpandButtonSize(TdxScaleFactor* AScaleFactor);
  virtual TColor DefaultCommandLinkTextColor(TcxButtonState AState, TColor ADefaultColor);
  virtual void DrawScaledCommandLinkBackground(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                               TdxScaleFactor* AScaleFactor, TColor AColor = clDefault);
  virtual void DrawScaledCommandLinkGlyph(TcxCanvas* ACanvas, const TPoint& AGlyphPos, TcxButtonState AState,
                                          TdxScaleFactor* AScaleFactor);
  virtual TSize GetScaledCommandLinkGlyphSize(TdxScaleFactor* AScaleFactor);
  virtual TRect GetScaledCommandLinkMargins(TdxScaleFactor* AScaleFactor);
  // The design size of the small close button (not scaled).
  virtual TSize DoGetSmallCloseButtonSize();
  virtual void DrawScaledSmallButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                     TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledSmallCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                          TdxScaleFactor* AScaleFactor);
  virtual IdxColorPalettePtr GetSmallButtonColorPalette(TcxButtonState AState);
  virtual TSize ScaledSmallCloseButtonSize(TdxScaleFactor* AScaleFactor);
  // Each painter draws the editor buttons; the base draws nothing.
  virtual void DrawScaledEditorButton(TcxCanvas* ACanvas, const TRect& ARect, TcxEditBtnKind AButtonKind,
                                      TcxButtonState AState, TdxScaleFactor* AScaleFactor,
                                      TcxEditBtnPosition APosition = cxbpRight);
  virtual void DrawScaledEditorButtonGlyph(TcxCanvas* ACanvas, const TRect& ARect, TcxEditBtnKind AButtonKind,
                                           TcxButtonState AState, TdxScaleFactor* AScaleFactor,
                                           TcxEditBtnPosition APosition = cxbpRight);
  virtual IdxColorPalettePtr EditButtonColorPalette(TcxButtonState AState);
  virtual TSize EditButtonSize();
  virtual TColor EditButtonTextColor();
  virtual int32_t EditButtonTextOffset();
  virtual void DrawScaledZoomInButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                      TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledZoomOutButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                       TdxScaleFactor* AScaleFactor);
  virtual TSize GetScaledZoomInButtonSize(TdxScaleFactor* AScaleFactor);
  virtual TSize GetScaledZoomOutButtonSize(TdxScaleFactor* AScaleFactor);
  virtual TSize GetScaledBackButtonSize(TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledBackButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                    TdxScaleFactor* AScaleFactor);
  // The filter panel's close button, which the small close button reuses.
  virtual void DrawScaledFilterCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                           TdxScaleFactor* AScaleFactor);
  virtual TPoint ScaledFilterCloseButtonSize(TdxScaleFactor* AScaleFactor);

  // A close cross as wide as half the filter close button (made odd), two pixels thick.
  void DrawScaledButtonCross(TcxCanvas* ACanvas, const TRect& R, TColor AColor, TcxButtonState AState,
                             TdxScaleFactor* AScaleFactor);
  void DrawScaledButtonCrossEx(TcxCanvas* ACanvas, const TRect& R, TColor AColor, TcxButtonState AState,
                               int32_t ASize, TdxScaleFactor* AScaleFactor);
  // A plus (collapsed) or minus (expanded) centred in R.
  void DrawExpandButtonCross(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, TColor AColor,
                             TdxScaleFactor* AScaleFactor);
  void DrawButton(TcxCanvas* ACanvas, const TRect& R, const String& ACaption, TcxButtonState AState,
                  bool ADrawBorder = true, TColor AColor = clDefault, TColor ATextColor = clDefault,
                  bool AWordWrap = false, bool AIsToolButton = false, TcxButtonPart APart = cxbpButton);
  TRect ButtonFocusRect(TcxCanvas* ACanvas, const TRect& R);
  int32_t ButtonTextOffset();
  int32_t ButtonTextShift();
  int32_t GetDropDownButtonRightPartSize();
  void DrawSearchEditButtonGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  void DrawExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, TColor AColor = clDefault,
                        TcxButtonState AState = cxbsNormal);
  void DrawExpandButtonEx(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AExpanded,
                          TcxRotationAngle ARotationAngle = ra0);
  void DrawExpandMark(TcxCanvas* ACanvas, const TRect& R, TColor AColor, bool AExpanded);
  void DrawGroupExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, TcxButtonState AState);
  void DrawSmallExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, TColor ABorderColor,
                             TColor AColor = clDefault);
  int32_t ExpandButtonAreaSize();
  int32_t ExpandButtonSize();
  int32_t GroupExpandButtonSize();
  int32_t SmallExpandButtonSize();
  void DrawCommandLinkBackground(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                 TColor AColor = clDefault);
  void DrawCommandLinkGlyph(TcxCanvas* ACanvas, const TPoint& AGlyphPos, TcxButtonState AState);
  TSize GetCommandLinkGlyphSize();
  TRect GetCommandLinkMargins();
  void DrawButtonCross(TcxCanvas* ACanvas, const TRect& R, TColor AColor, TcxButtonState AState);
  void DrawButtonCross(TcxCanvas* ACanvas, const TRect& R, TColor AColor, TcxButtonState AState, int32_t ASize);
  void DrawSmallButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  void DrawSmallCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  TSize SmallCloseButtonSize();
  void DrawEditorButton(TcxCanvas* ACanvas, const TRect& ARect, TcxEditBtnKind AButtonKind, TcxButtonState AState,
                        TcxEditBtnPosition APosition = cxbpRight);
  void DrawEditorButtonGlyph(TcxCanvas* ACanvas, const TRect& ARect, TcxEditBtnKind AButtonKind,
                             TcxButtonState AState, TcxEditBtnPosition APosition = cxbpRight);
  void DrawZoomInButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  void DrawZoomOutButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  TSize GetZoomInButtonSize();
  TSize GetZoomOutButtonSize();
  void DrawBackButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  TSize GetBackButtonSize();

  // --- Check boxes, radio buttons and toggle switches -----------------------------------------
  // (cxLookAndFeelPaintersChecks.cpp)

  virtual int32_t CheckBorderSize();
  // The face of a check box by button state and check state.
  virtual TColor CheckButtonColor(TcxButtonState AState, TcxCheckBoxState ACheckState);
  virtual TSize ScaledCheckButtonAreaSize(TdxScaleFactor* AScaleFactor);
  // The system's check-box size converted to AScaleFactor.
  virtual TSize ScaledCheckButtonSize(TdxScaleFactor* AScaleFactor);
  virtual void DrawCheckBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  virtual void DrawScaledCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AChecked,
                               TColor AColor, TdxScaleFactor* AScaleFactor);
  // The face (only while the brush is solid) and, checked or grayed, the check mark in AColor.
  virtual void DrawScaledCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                               TcxCheckBoxState ACheckState, TColor AColor, TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AChecked,
                                     TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                     TcxCheckBoxState ACheckState, TdxScaleFactor* AScaleFactor);
  // The track: in one state when the thumb is at an end, else in both, split at the thumb's
  // middle. The caller draws the thumb.
  virtual void DrawScaledToggleSwitch(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                      const TRect& AThumbBounds, TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                           bool AChecked, TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledToggleSwitchThumb(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                           TdxScaleFactor* AScaleFactor);
  virtual void DrawToggleSwitchStateIndicator(TcxCanvas* ACanvas, const TRect& ABounds, const String& AText,
                                              TFont* AFont);
  virtual IdxColorPalettePtr GetToggleSwitchColorPalette();
  virtual TColor GetToggleSwitchTextColor();
  virtual int32_t GetToggleSwitchThumbPercentsWidth();
  virtual TColor ToggleSwitchToggleColor(bool AChecked);
  // An image of the shared radio-button list of AScaleFactor, in this painter's kind.
  virtual void DrawScaledRadioButton(TcxCanvas* ACanvas, int32_t X, int32_t Y, TcxButtonState AButtonState,
                                     bool AChecked, bool AFocused, TColor ABrushColor, TdxScaleFactor* AScaleFactor,
                                     bool AIsDesigning = false);
  virtual TColor RadioButtonBodyColor(TcxButtonState AState);
  virtual TSize ScaledRadioButtonSize(TdxScaleFactor* AScaleFactor);

  TSize CheckButtonSize();
  TSize CheckButtonAreaSize();
  void DrawCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AChecked, TColor AColor);
  void DrawCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, TcxCheckBoxState ACheckState,
                 TColor AColor);
  void DrawCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AChecked);
  void DrawCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, TcxCheckBoxState ACheckState);
  void DrawToggleSwitch(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState, const TRect& AThumbBounds);
  void DrawToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState, bool AChecked);
  void DrawToggleSwitchThumb(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState);
  void DrawRadioButton(TcxCanvas* ACanvas, int32_t X, int32_t Y, TcxButtonState AButtonState, bool AChecked,
                       bool AFocused, TColor ABrushColor, bool AIsDesigning = false);
  TSize RadioButtonSize();

  // --- Scroll bars, size grips, popup windows and hints ---------------------------------------

  // --- Progress bar, group box, panel, track bar and splitter ---------------------------------

  // --- Cell content, headers, sorting marks, footers, filter panels, tabs and row indicator ---

  // --- Navigator, date navigator, scheduler and clock ------------------------------------------

  // --- Views, charts, gauges, maps, navigation bars, PDF viewers and spreadsheets --------------

  // --- Range controls, breadcrumb edits, list boxes, alert windows, galleries, calendars and
  //     other controls -----------------------------------------------------------------------

 protected:
  // Lazily loaded glyphs: each is loaded from the program's resources on first use and kept
  // until ReleaseImageResources.
  TdxSmartImage* GetBackButton();
  TdxSmartImage* GetClockFace();
  TdxSmartImage* GetClockGlass();
  TdxSmartImage* GetFixedGroupIndicator();
  TdxSmartImage* GetMapPushpin();
  TdxSmartImage* GetNavigationBarCustomizationButton();
  TdxSmartImage* GetRatingControlIndicator();
  TdxSmartImage* GetSearchButtonGlyph();
  TdxSmartImage* GetSmartTagGlyph();

 private:
  TdxSmartImage* GetGlyph(std::unique_ptr<TdxSmartImage>& AField, const Char* AResName, const Char* AResType);

  std::unique_ptr<TdxSmartImage> FBackButton;
  // Never loaded by the base; only released.
  std::unique_ptr<TdxSmartImage> FCalendarButtonGlyph;
  std::unique_ptr<TdxSmartImage> FClockFace;
  std::unique_ptr<TdxSmartImage> FClockGlass;
  std::unique_ptr<TdxSmartImage> FFixedGroupIndicator;
  std::unique_ptr<TdxSmartImage> FMapPushpin;
  std::unique_ptr<TdxSmartImage> FNavigationBarCustomizationButton;
  std::unique_ptr<TdxSmartImage> FRatingControlIndicator;
  std::unique_ptr<TdxSmartImage> FSearchButtonGlyph;
  std::unique_ptr<TdxSmartImage> FSmartTagGlyph;
  // A TdxSkinDetails, built on first request.
  std::unique_ptr<TObject> FLookAndFeelPainterDetailsCache;
};

using TcxCustomLookAndFeelPainterClass = TClass;

// --- Shared glyph lists ------------------------------------------------------------------------------

// The row-indicator glyphs and the summary-value sorting mark: one image list made on first use
// from the bitmaps "CX_ARROWBITMAP", "CX_EDITBITMAP", "CX_INSERTBITMAP", "CX_MULTIDOTBITMAP",
// "CX_MULTIARROWBITMAP", "CX_FILTERBITMAP", "CX_INPLACEEDITBITMAP" and "CX_SORTBYSUMMARYVALUE"
// (indices 0 to 7, white transparent), as large as the first of them. Freed by the unit's
// shut-down (UnregisterAssistants).
TCustomImageList* cxIndicatorImages();
void cxFreeIndicatorImages();

// --- Painters registry ---------------------------------------------------------------------------

// Told when a painter joins or leaves the registry.
class IcxLookAndFeelPainterListener {
 public:
  virtual ~IcxLookAndFeelPainterListener() = default;
  virtual void PainterAdded(TcxCustomLookAndFeelPainter* APainter) = 0;
  virtual void PainterRemoved(TcxCustomLookAndFeelPainter* APainter) = 0;
};

// The one registry of painter objects, each registered under its LookAndFeelName and owned by
// the registry. The list is kept sorted by name (locale-aware, case-sensitive); names never
// differ only in case, since registration refuses such a name.
class TcxLookAndFeelPaintersManager {
 public:
  TcxLookAndFeelPaintersManager() = default;
  // Frees every painter still registered.
  ~TcxLookAndFeelPaintersManager();
  TcxLookAndFeelPaintersManager(const TcxLookAndFeelPaintersManager&) = delete;
  TcxLookAndFeelPaintersManager& operator=(const TcxLookAndFeelPaintersManager&) = delete;

  // Takes ownership in every case. A painter whose name is already registered (in any case)
  // is freed and the answer is False; otherwise it joins the list, the root look-and-feel is
  // refreshed, the listeners are told (last added first) and the answer is True.
  bool Register(std::unique_ptr<TcxCustomLookAndFeelPainter> APainter);
  // Removes and frees the painter of that name (in any case), telling the listeners first;
  // False when there is none.
  bool Unregister(const String& AName);

  // The first painter in list order with that style; nullptr (False) when none.
  TcxCustomLookAndFeelPainter* GetPainter(TcxLookAndFeelStyle AStyle) const;
  bool GetPainter(TcxLookAndFeelStyle AStyle, TcxCustomLookAndFeelPainter*& APainter) const;
  // The painter of that name, compared without regard to case; nullptr (False) when none.
  TcxCustomLookAndFeelPainter* GetPainter(const String& AName) const;
  bool GetPainter(const String& AName, TcxCustomLookAndFeelPainter*& APainter) const;

  int32_t Count() const { return static_cast<int32_t>(FPainters.size()); }
  TcxCustomLookAndFeelPainter* Items(int32_t AIndex) const;

  // Adds a listener unless it is already there; the registry does not own listeners.
  void AddListener(IcxLookAndFeelPainterListener* AListener);
  void RemoveListener(IcxLookAndFeelPainterListener* AListener);

  // Every painter's ReleaseImageResources, in list order.
  void ReleaseImageResources();

 private:
  void DoPainterAdded(TcxCustomLookAndFeelPainter* APainter);
  void DoPainterRemoved(TcxCustomLookAndFeelPainter* APainter);
  void Sort();

  std::vector<std::unique_ptr<TcxCustomLookAndFeelPainter>> FPainters;
  std::vector<IcxLookAndFeelPainterListener*> FListeners;
};

// The registry; nullptr outside the unit's start-up and shut-down.
TcxLookAndFeelPaintersManager* cxLookAndFeelPaintersManager();

// How the registry refreshes the root look-and-feel after a painter joins or leaves (set by
// the look-and-feel unit while the root exists; nothing is refreshed without it).
using TcxRootLookAndFeelRefreshProc = void (*)();
void cxSetRootLookAndFeelRefreshProc(TcxRootLookAndFeelRefreshProc AProc);

// --- System-palette change listener ----------------------------------------------------------------

using TcxSystemPaletteChangedEvent = TMethod<void()>;

// A subscriber to system colour changes. Creating one (primary or ordinary) makes sure the
// shared listener exists; freeing the last one frees the listener with its window.
class TcxSystemPaletteChangedNotifier {
 public:
  explicit TcxSystemPaletteChangedNotifier(bool AIsPrimary = false);
  virtual ~TcxSystemPaletteChangedNotifier();
  TcxSystemPaletteChangedNotifier(const TcxSystemPaletteChangedNotifier&) = delete;
  TcxSystemPaletteChangedNotifier& operator=(const TcxSystemPaletteChangedNotifier&) = delete;

  bool IsPrimary() const { return FIsPrimary; }
  const TcxSystemPaletteChangedEvent& OnSystemPaletteChanged() const { return FOnSystemPaletteChanged; }
  void SetOnSystemPaletteChanged(const TcxSystemPaletteChangedEvent& AValue) {
    FOnSystemPaletteChanged = AValue;
  }

 protected:
  friend class TcxSystemPaletteChangedListener;
  // Calls OnSystemPaletteChanged when assigned.
  virtual void DoChanged();

 private:
  bool FIsPrimary;
  TcxSystemPaletteChangedEvent FOnSystemPaletteChanged;
};

// The hidden window that hears WM_SYSCOLORCHANGE. On a change it recomputes the Office 11
// colours, then tells the primary notifiers, then the ordinary ones, each list newest first.
// Shared by all notifiers and counted by them.
class TcxSystemPaletteChangedListener {
 public:
  TcxSystemPaletteChangedListener();
  ~TcxSystemPaletteChangedListener();
  TcxSystemPaletteChangedListener(const TcxSystemPaletteChangedListener&) = delete;
  TcxSystemPaletteChangedListener& operator=(const TcxSystemPaletteChangedListener&) = delete;

  void AddNotifier(TcxSystemPaletteChangedNotifier* ANotifier, bool AIsPrimary);
  void RemoveNotifier(TcxSystemPaletteChangedNotifier* ANotifier, bool AIsPrimary);
  HWND WindowHandle() const { return FWindowHandle; }

 private:
  void WndProc(TMessage& AMessage);
  void DoChange();

  HWND FWindowHandle = nullptr;
  std::vector<TcxSystemPaletteChangedNotifier*> FNotifierList;
  std::vector<TcxSystemPaletteChangedNotifier*> FPrimaryNotifierList;
};

void AddRefSystemPaletteChangedListener();
void ReleaseRefSystemPaletteChangedListener();
// The shared listener; nullptr while no notifier exists.
TcxSystemPaletteChangedListener* cxSystemPaletteChangedListener();

// --- Unit start-up ---------------------------------------------------------------------------------

// The unit's procedure pair in the units loader. Start-up registers the built-in painters (in
// the order Flat, Office11, Standard, UltraFlat, Native, as their classes join) and, inside a
// library module, recomputes the Office 11 colours; shut-down makes every registered painter
// drop its lazily loaded images and frees the shared glyph lists.
void RegisterAssistants();
void UnregisterAssistants();

// Start-up: the registry, the unit's primary palette notifier (its OnSystemPaletteChanged runs
// before every ordinary notifier), and RegisterAssistants through the units loader. Shut-down
// undoes it in reverse.
namespace cxLookAndFeelPainters {
void Initialize();
void Finalize();
// The unit's primary notifier; nullptr outside start-up and shut-down.
TcxSystemPaletteChangedNotifier* PrimaryPaletteNotifier();
}  // namespace cxLookAndFeelPainters

}  // namespace qd
