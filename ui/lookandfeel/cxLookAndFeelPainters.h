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
#include "ui/graphics/dxCoreGraphicsAlphaColors.h"

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
// The sides of a header that touch a neighbouring header.
using TcxNeighbors = TSet<TcxNeighbor>;
enum TcxFilterSmartTagState : uint8_t { fstsNormal, fstsHot, fstsPressed, fstsParentHot };
// Paints a cell background itself and answers True when it did.
using TcxDrawBackgroundEvent = TMethod<bool(TcxCanvas* ACanvas, const TRect& ABounds)>;
// The arrows a month header shows.
using TcxArrowDirections = TSet<TcxArrowDirection>;
// States of calendar, clock and navigation-bar elements, and of map elements.
enum TcxCalendarElementState : uint8_t {
  cesNormal,
  cesHot,
  cesPressed,
  cesSelected,
  cesFocused,
  cesMarked,
  cesDisabled
};
using TcxCalendarElementStates = TSet<TcxCalendarElementState>;
enum TdxMapControlElementState : uint8_t { mcesNormal, mcesHot, mcesPressed, mcesSelected, mcesDisabled };
// States of a breadcrumb edit and of its buttons.
enum TdxBreadcrumbEditState : uint8_t { dxbcsNormal, dxbcsFocused, dxbcsHot, dxbcsDisabled };
enum TdxBreadcrumbEditButtonState : uint8_t {
  dxbcbsNormal,
  dxbcbsFocused,
  dxbcbsHot,
  dxbcbsPressed,
  dxbcbsDisabled
};
// The push-button state of a breadcrumb button: normal and focused alike.
TcxButtonState cxBreadcrumbButtonStateToButtonState(TdxBreadcrumbEditButtonState AState);
// The rows of the rating indicator's glyph strip.
enum TdxRatingControlIndicatorState : uint8_t { rcisUnchecked, rcisChecked, rcisHover };
// The calculator's keys.
enum TcxCalcButtonKind : uint8_t {
  cbBack,
  cbCancel,
  cbClear,
  cbMC,
  cbMR,
  cbMS,
  cbMP,
  cbNum0,
  cbNum1,
  cbNum2,
  cbNum3,
  cbNum4,
  cbNum5,
  cbNum6,
  cbNum7,
  cbNum8,
  cbNum9,
  cbSign,
  cbDecimal,
  cbDiv,
  cbMul,
  cbSub,
  cbAdd,
  cbSqrt,
  cbPercent,
  cbRev,
  cbEqual,
  cbNone
};
enum TdxAlertWindowButtonKind : uint8_t {
  awbkClose,
  awbkPin,
  awbkDropdown,
  awbkPrevious,
  awbkNext,
  awbkCustom
};
// How a gallery item shows.
struct TdxGalleryItemViewState {
  bool Enabled = true;
  bool Checked = false;
  bool Hover = false;
  bool Pressed = false;
  bool Focused = false;
};
// The background of galleries.
inline constexpr TColor dxGalleryBackgroundColor = 0xFFFFFF;

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
  virtual void DrawArrow(TcxCanvas* ACanvas, const TRect& R, TcxArrowDirection AArrowDirection,
                         TColor AColor);
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
  virtual void DrawBevelFrame(TcxCanvas* ACanvas, const TRect& R, TColor AColor1, TColor AColor2,
                              bool ABoxStyle);
  virtual void DrawBevelLine(TcxCanvas* ACanvas, const TRect& R, TColor AColor1, TColor AColor2,
                             bool AIsVertical);
  virtual void DrawBevelShape(TcxCanvas* ACanvas, const TRect& R, TdxBevelShape AShape, TdxBevelStyle AStyle);
  virtual TSize GetBevelMinimalShapeSize(TdxBevelShape AShape);
  virtual void GetBevelShapeColors(TColor& AColor1, TColor& AColor2);

  // The shared arrow geometry: a triangle in R (made square first when AProportional) whose
  // size is AArrowSize, or a quarter of the rectangle when that is 0.
  void CalculateArrowPoints(const TRect& R, TcxArrowPoints& P, TcxArrowDirection AArrowDirection,
                            bool AProportional, int32_t AArrowSize);
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
  virtual void DrawScaledButton(TcxCanvas* ACanvas, const TRect& R, const String& ACaption,
                                TcxButtonState AState, TdxScaleFactor* AScaleFactor, bool ADrawBorder = true,
                                TColor AColor = clDefault, TColor ATextColor = clDefault,
                                bool AWordWrap = false, bool AIsToolButton = false,
                                TcxButtonPart APart = cxbpButton);
  virtual void DrawScaledSearchEditButtonGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                               TdxScaleFactor* AScaleFactor);
  virtual int32_t GetScaledDropDownButtonRightPartSize(TdxScaleFactor* AScaleFactor);
  virtual bool IsButtonHotTrack();
  virtual bool IsPointOverGroupExpandButton(const TRect& R, const TPoint& P);
  virtual TSize ScaledSearchButtonGlyphSize(TdxScaleFactor* AScaleFactor);
  virtual bool DrawExpandButtonFirst();
  // A button face with the expand mark turned by ARotationAngle.
  virtual void DrawScaledExpandButtonEx(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                        bool AExpanded, TdxScaleFactor* AScaleFactor,
                                        TcxRotationAngle ARotationAngle = ra0);
  // Two stacked chevrons with two-pixel strokes: up when expanded, down when collapsed.
  virtual void DrawScaledExpandMark(TcxCanvas* ACanvas, const TRect& R, TColor AColor, bool AExpanded,
                                    TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledGroupExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                           TcxButtonState AState, TdxScaleFactor* AScaleFactor);
  // A framed plus (collapsed) or minus (expanded); AColor fills the inside unless clDefault.
  virtual void DrawScaledSmallExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                           TColor ABorderColor, TdxScaleFactor* AScaleFactor,
                                           TColor AColor = clDefault);
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
  void DrawButtonCross(TcxCanvas* ACanvas, const TRect& R, TColor AColor, TcxButtonState AState,
                       int32_t ASize);
  void DrawSmallButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  void DrawSmallCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  TSize SmallCloseButtonSize();
  void DrawEditorButton(TcxCanvas* ACanvas, const TRect& ARect, TcxEditBtnKind AButtonKind,
                        TcxButtonState AState, TcxEditBtnPosition APosition = cxbpRight);
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
                                     bool AChecked, bool AFocused, TColor ABrushColor,
                                     TdxScaleFactor* AScaleFactor, bool AIsDesigning = false);
  virtual TColor RadioButtonBodyColor(TcxButtonState AState);
  virtual TSize ScaledRadioButtonSize(TdxScaleFactor* AScaleFactor);

  TSize CheckButtonSize();
  TSize CheckButtonAreaSize();
  void DrawCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AChecked, TColor AColor);
  void DrawCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, TcxCheckBoxState ACheckState,
                 TColor AColor);
  void DrawCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AChecked);
  void DrawCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                       TcxCheckBoxState ACheckState);
  void DrawToggleSwitch(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                        const TRect& AThumbBounds);
  void DrawToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState, bool AChecked);
  void DrawToggleSwitchThumb(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState);
  void DrawRadioButton(TcxCanvas* ACanvas, int32_t X, int32_t Y, TcxButtonState AButtonState, bool AChecked,
                       bool AFocused, TColor ABrushColor, bool AIsDesigning = false);
  TSize RadioButtonSize();

  // --- Scroll bars, size grips, popup windows and hints ---------------------------------------
  // (cxLookAndFeelPaintersScrollBars.cpp)

  // Each painter draws the scroll-bar parts; the base draws nothing.
  virtual void DoDrawScaledScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TRect& R,
                                         TcxScrollBarPart APart, TcxButtonState AState,
                                         TdxScaleFactor* AScaleFactor);
  virtual TColor GetWindowContentTextColor();
  virtual void DrawWindowContent(TcxCanvas* ACanvas, const TRect& ARect);
  // The frame of a drop-down window, from the outside in; R comes back as the area inside it.
  virtual void DrawEditPopupWindowBorder(TcxCanvas* ACanvas, TRect& R, TcxEditPopupBorderStyle ABorderStyle,
                                         bool AClientEdge);
  virtual int32_t GetEditPopupWindowBorderWidth(TcxEditPopupBorderStyle AStyle);
  virtual int32_t GetEditPopupWindowClientEdgeWidth(TcxEditPopupBorderStyle AStyle);
  virtual TcxPopupBorderStyle PopupBorderStyle();
  virtual TColor GetHintBorderColor();
  // Fills ARect with AColor (clInfoBk for clDefault).
  virtual void DrawHintBackground(TcxCanvas* ACanvas, const TRect& ARect, TColor AColor = clDefault);
  virtual IdxColorPalettePtr ScreenTipGetColorPalette();
  virtual TColor ScreenTipGetDescriptionTextColor();
  virtual int32_t ScreenTipGetFooterLineSize();
  virtual TColor ScreenTipGetTitleTextColor();
  // The hint background inside a rounded one-pixel window frame.
  virtual void ScreenTipDrawBackground(TcxCanvas* ACanvas, const TRect& ARect);
  virtual void ScreenTipDrawFooterLine(TcxCanvas* ACanvas, const TRect& ARect);
  // The whole bar: its page-up part in the normal state.
  virtual void DrawScaledScrollBarBackground(TcxCanvas* ACanvas, const TRect& R, bool AHorizontal,
                                             TdxScaleFactor* AScaleFactor);
  // The line buttons of a horizontal bar change places on a right-to-left canvas; then
  // DoDrawScaledScrollBarPart.
  virtual void DrawScaledScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TRect& R,
                                       TcxScrollBarPart APart, TcxButtonState AState,
                                       TdxScaleFactor* AScaleFactor);
  // A navigator button face with a vertical splitter grip inside.
  virtual void DrawScaledScrollBarSplitter(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                           TdxScaleFactor* AScaleFactor);
  virtual int32_t ScaledScrollBarMinimalThumbSize(bool AVertical, TdxScaleFactor* AScaleFactor);
  // Splits a popup's client area into the band (at the side of ACorner) and the rest, and places
  // the size grip and the close button in the band. ABorders and APanelBorders are per-side
  // widths; APanelHeight 0 takes ScaledPopupPanelSize.
  virtual void CalculateScaledPopupPanelClientRect(TRect& AClientRect, TRect& APanelRect, TRect& AGripRect,
                                                   TRect& ACloseButtonRect, TdxCorner ACorner,
                                                   const TRect& ABorders, const TRect& APanelBorders,
                                                   TdxScaleFactor* AScaleFactor, int32_t APanelHeight = 0,
                                                   bool AShowCloseButton = true, bool AShowGripSize = true);
  // The frame and the band of a popup in its non-client area (on its window device context);
  // the grip and close-button rectangles come in screen coordinates.
  virtual void DrawScaledPopupNCPanel(HWND AHandle, bool AMouseAboveCloseButton, bool ACloseButtonIsTracking,
                                      TdxCorner ACorner, const TRect& ACloseButtonRect,
                                      const TRect& AGripRect, TColor ABorderColor,
                                      TdxScaleFactor* AScaleFactor);
  // The system's bottom-right size grip over ARect.
  virtual void DoDrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect, TdxScaleFactor* AScaleFactor);
  virtual void DrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect, TColor ABackgroundColor = clDefault,
                            TdxCorner ACorner = coBottomRight);
  // The grip turned toward ACorner, over ABackgroundColor (clNone keeps what the canvas shows).
  virtual void DrawScaledSizeGrip(TcxCanvas* ACanvas, const TRect& ARect, TdxScaleFactor* AScaleFactor,
                                  TColor ABackgroundColor = clDefault, TdxCorner ACorner = coBottomRight);
  virtual TSize ScaledSizeGripSize(TdxScaleFactor* AScaleFactor);
  virtual TSize ScaledSliderButtonSize(TcxArrowDirection ADirection, TdxScaleFactor* AScaleFactor);
  // A scroll-bar line button pointing toward ADirection.
  virtual void DrawScaledSliderButton(TcxCanvas* ACanvas, const TRect& ARect, TcxArrowDirection ADirection,
                                      TcxButtonState AState, TdxScaleFactor* AScaleFactor);

  // The arrow of a line button: up or down on a vertical bar, left or right on a horizontal one.
  static TcxArrowDirection GetArrowDirection(bool AHorizontal, TcxScrollBarPart APart);
  // The default band height of a popup.
  int32_t ScaledPopupPanelSize(TdxScaleFactor* AScaleFactor);
  // The band's border margins, grip, close button and content; afterwards the band is excluded
  // from the canvas' clip.
  void DrawScaledPopupPanelBand(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& AGripRect,
                                const TRect& ACloseButtonRect, TdxCorner AGripCorner,
                                TcxButtonState ACloseButtonState, const TRect& ABorders, TColor ABorderColor,
                                TdxScaleFactor* AScaleFactor, bool AShowGripSize = true,
                                bool AShowCloseButton = true);
  int32_t ScrollBarMinimalThumbSize(bool AVertical);
  void DrawScrollBarBackground(TcxCanvas* ACanvas, const TRect& R, bool AHorizontal);
  void DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TRect& R, TcxScrollBarPart APart,
                         TcxButtonState AState);
  void DrawScrollBarSplitter(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  int32_t PopupPanelSize();
  void CalculatePopupPanelClientRect(TRect& AClientRect, TRect& APanelRect, TRect& AGripRect,
                                     TRect& ACloseButtonRect, TdxCorner ACorner, const TRect& ABorders,
                                     const TRect& APanelBorders, int32_t APanelHeight = 0,
                                     bool AShowCloseButton = true, bool AShowGripSize = true);
  void DrawPopupNCPanel(HWND AHandle, bool AMouseAboveCloseButton, bool ACloseButtonIsTracking,
                        TdxCorner ACorner, const TRect& ACloseButtonRect, const TRect& AGripRect,
                        TColor ABorderColor);
  void DrawPopupPanelBand(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& AGripRect,
                          const TRect& ACloseButtonRect, TdxCorner AGripCorner,
                          TcxButtonState ACloseButtonState, const TRect& ABorders, TColor ABorderColor,
                          bool AShowGripSize = true, bool AShowCloseButton = true);
  TSize SizeGripSize();
  void DoDrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect);
  TSize SliderButtonSize(TcxArrowDirection ADirection);
  void DrawSliderButton(TcxCanvas* ACanvas, const TRect& ARect, TcxArrowDirection ADirection,
                        TcxButtonState AState);

  // --- Progress bar, group box, panel, track bar and splitter ---------------------------------
  // (cxLookAndFeelPaintersProgress.cpp)

  // Each painter draws the progress bar's frame and chunk; the base draws nothing.
  virtual void DrawProgressBarBorder(TcxCanvas* ACanvas, const TRect& ARect, bool AVertical);
  virtual void DrawProgressBarChunk(TcxCanvas* ACanvas, const TRect& ARect, bool AVertical);
  // The caption of a progress bar. Solid: once in ATextColor. Otherwise in two colours split at
  // the chunk, or, while ProgressBarTextColorEx(True) is clDefault, XOR-inverted over whatever
  // lies beneath.
  virtual void DrawProgressBarText(TcxCanvas* ACanvas, bool AVertical, bool ASolid, const String& AText,
                                   const TRect& ATextRect, const TRect& AProgressBarRect,
                                   const TRect& AProgressChunkRect, TColor ATextColor = clDefault);
  virtual TRect ProgressBarBorderSize(bool AVertical);
  virtual TColor ProgressBarTextColor();
  // Over the chunk (AIsFilledArea) or over the empty part.
  virtual TColor ProgressBarTextColorEx(bool AIsFilledArea);
  virtual void DrawGroupBoxBackground(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ARect);
  virtual void DrawGroupBoxCaption(TcxCanvas* ACanvas, const TRect& ACaptionRect, const TRect& ATextRect,
                                   TcxGroupBoxCaptionPosition ACaptionPosition);
  virtual void DrawGroupBoxContent(TcxCanvas* ACanvas, const TRect& ABorderRect,
                                   TcxGroupBoxCaptionPosition ACaptionPosition,
                                   const TcxBorders& ABorders = cxBordersAll);
  virtual void DrawGroupBoxScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                              bool AExpanded, TdxScaleFactor* AScaleFactor,
                                              TcxRotationAngle ARotationAngle = ra0);
  virtual void DrawGroupBoxScaledButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                        TdxScaleFactor* AScaleFactor);
  virtual void DrawGroupBoxScaledExpandGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                             bool AExpanded, TdxScaleFactor* AScaleFactor);
  virtual void DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool AEnabled,
                                 TcxGroupBoxCaptionPosition ACaptionPosition,
                                 const TcxBorders& ABorders = cxBordersAll);
  virtual void GroupBoxAdjustCaptionFont(TFont* ACaptionFont, TcxGroupBoxCaptionPosition ACaptionPosition);
  virtual TRect GroupBoxBorderSize(bool ACaption, TcxGroupBoxCaptionPosition ACaptionPosition);
  virtual int32_t GroupBoxCaptionTailSize(TcxGroupBoxCaptionPosition ACaptionPosition);
  virtual TColor GroupBoxTextColor(bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition);
  virtual bool IsGroupBoxCaptionTextDrawnOverBorder(TcxGroupBoxCaptionPosition ACaptionPosition);
  virtual bool IsGroupBoxTransparent(bool AIsCaption, TcxGroupBoxCaptionPosition ACaptionPosition);
  // The group-box background over ABounds; the control and the colours serve descendants.
  virtual void DrawPanelBackground(TcxCanvas* ACanvas, TWinControl* AControl, const TRect& ABounds,
                                   TColor AColorFrom = clDefault, TColor AColorTo = clDefault);
  virtual void DrawPanelBorders(TcxCanvas* ACanvas, const TRect& ABorderRect);
  virtual void DrawPanelCaption(TcxCanvas* ACanvas, const TRect& ACaptionRect,
                                TcxGroupBoxCaptionPosition ACaptionPosition);
  virtual void DrawPanelContent(TcxCanvas* ACanvas, const TRect& ARect, bool ADrawBorders);
  virtual TRect PanelBorderSize();
  virtual TColor PanelTextColor();
  // The base grows ARect by one pixel to the right and at the bottom.
  virtual void CorrectThumbRect(TcxCanvas* ACanvas, TRect& ARect, bool AHorizontal,
                                TcxTrackBarTicksAlign ATicks);
  virtual void DrawTrackBarScaledTrack(TcxCanvas* ACanvas, const TRect& ARect, const TRect& ASelection,
                                       bool AShowSelection, bool AEnabled, bool AHorizontal,
                                       TColor ATrackColor, TdxScaleFactor* AScaleFactor);
  virtual void DrawTrackBarTrackBounds(TcxCanvas* ACanvas, const TRect& ARect);
  // A filled rectangle for ticks on both sides, else the body polygon pointing away from the
  // ticks' opposite side, with DrawTrackBarThumbBorderUpDown for its edges.
  virtual void DrawTrackBarScaledThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                       bool AHorizontal, TcxTrackBarTicksAlign ATicks, TColor AThumbColor,
                                       TdxScaleFactor* AScaleFactor);
  virtual void DrawTrackBarThumbBorderUpDown(TcxCanvas* ACanvas, const std::vector<TPoint>& ALightPolyLine,
                                             const std::vector<TPoint>& AShadowPolyLine,
                                             const std::vector<TPoint>& ADarkPolyLine);
  virtual void DrawTrackBarThumbBorderBoth(TcxCanvas* ACanvas, const TRect& ARect);
  virtual TSize TrackBarScaledThumbSize(bool AHorizontal, TdxScaleFactor* AScaleFactor);
  virtual int32_t TrackBarScaledTrackSize(TdxScaleFactor* AScaleFactor);
  // Tick labels (AText) or tick lines.
  virtual TColor TrackBarTicksColor(bool AText);
  virtual TSize RangeTrackBarScaledLeftThumbSize(bool AHorizontal, TcxTrackBarTicksAlign ATicks,
                                                 TdxScaleFactor* AScaleFactor);
  virtual TSize RangeTrackBarScaledRightThumbSize(bool AHorizontal, TcxTrackBarTicksAlign ATicks,
                                                  TdxScaleFactor* AScaleFactor);
  // The thumbs of a range track bar: the thumb outline over GetRangeTrackBarThumbDrawRect.
  virtual void DrawRangeTrackBarScaledLeftThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                                bool AHorizontal, TcxTrackBarTicksAlign ATicks,
                                                TColor AThumbColor, TdxScaleFactor* AScaleFactor);
  virtual void DrawRangeTrackBarScaledRightThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                 TcxButtonState AState, bool AHorizontal,
                                                 TcxTrackBarTicksAlign ATicks, TColor AThumbColor,
                                                 TdxScaleFactor* AScaleFactor);
  virtual TColor GetSplitterInnerColor(bool AHighlighted);
  virtual TColor GetSplitterOuterColor(bool AHighlighted);
  // A dotted grip line centred in ARect (across it for a horizontal splitter), with an optional
  // chevron in the middle pointing toward AArrowDirection.
  virtual void DrawScaledSplitter(TcxCanvas* ACanvas, const TRect& ARect, bool AHighlighted, bool AClicked,
                                  bool AHorizontal, TdxScaleFactor* AScaleFactor, bool AHasCloseMark = false,
                                  TcxArrowDirection AArrowDirection = adLeft);
  virtual TSize GetScaledSplitterSize(bool AHorizontal, TdxScaleFactor* AScaleFactor);

  // The outline of a thumb with ticks on one side (tbtaUp or tbtaDown): the body polygon and the
  // light, shadow and dark polylines a painter may draw over it.
  struct TcxTrackBarThumbOutline {
    std::vector<TPoint> Body;
    std::vector<TPoint> Light;
    std::vector<TPoint> Shadow;
    std::vector<TPoint> Dark;
  };
  static TcxTrackBarThumbOutline CalculateTrackBarThumbOutline(const TRect& ARect, bool AHorizontal,
                                                               TcxTrackBarTicksAlign ATicks);
  // ARect one pixel narrower (horizontal) or shorter (vertical) when the ticks are on one side.
  static TRect GetRangeTrackBarThumbDrawRect(const TRect& ARect, bool AHorizontal,
                                             TcxTrackBarTicksAlign ATicks);
  bool HasSplitterInnerLine(bool AHorizontal, TdxScaleFactor* AScaleFactor);
  void DrawSplitterCloseMark(TcxCanvas* ACanvas, const TRect& ARect, TcxArrowDirection AArrowDirection,
                             TdxScaleFactor* AScaleFactor, bool AHorizontal, bool AClicked,
                             bool AHighlighted);
  void DrawGroupBoxExpandButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AExpanded,
                                TcxRotationAngle ARotationAngle = ra0);
  void DrawGroupBoxButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  void DrawGroupBoxExpandGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AExpanded);
  void DrawTrackBarTrack(TcxCanvas* ACanvas, const TRect& ARect, const TRect& ASelection, bool AShowSelection,
                         bool AEnabled, bool AHorizontal, TColor ATrackColor);
  void DrawTrackBarThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState, bool AHorizontal,
                         TcxTrackBarTicksAlign ATicks, TColor AThumbColor);
  TSize TrackBarThumbSize(bool AHorizontal);
  int32_t TrackBarTrackSize();
  TSize RangeTrackBarLeftThumbSize(bool AHorizontal, TcxTrackBarTicksAlign ATicks);
  TSize RangeTrackBarRightThumbSize(bool AHorizontal, TcxTrackBarTicksAlign ATicks);
  void DrawRangeTrackBarLeftThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                  bool AHorizontal, TcxTrackBarTicksAlign ATicks, TColor AThumbColor);
  void DrawRangeTrackBarRightThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                   bool AHorizontal, TcxTrackBarTicksAlign ATicks, TColor AThumbColor);
  void DrawSplitter(TcxCanvas* ACanvas, const TRect& ARect, bool AHighlighted, bool AClicked,
                    bool AHorizontal, bool AHasCloseMark = false, TcxArrowDirection AArrowDirection = adLeft);
  TSize GetSplitterSize(bool AHorizontal);

  // --- Cell content, headers, sorting marks, footers, filter panels, tabs and row indicator ---
  // (cxLookAndFeelPaintersHeaders.cpp)

  // A cell: the background (unless AOnDrawBackground paints it) and the text in
  // ATextAreaBounds with the alignments, word break or single line, and end ellipsis.
  virtual void DrawContent(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                           TcxButtonState AState, TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                           bool AMultiLine, bool AShowEndEllipsis, const String& AText, TFont* AFont,
                           TColor ATextColor, TColor ABkColor,
                           const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr, bool AIsFooter = false);
  virtual TRect FooterCellContentBounds(const TRect& ABounds);
  virtual TRect FooterCellTextAreaBounds(const TRect& ABounds);
  virtual TColor GetFilterSmartTagColor(TcxFilterSmartTagState AState, bool AIsFilterActive);
  virtual void DrawHeaderBorder(TcxCanvas* ACanvas, const TRect& R, const TcxNeighbors& ANeighbors,
                                const TcxBorders& ABorders);
  virtual void DrawHeaderPressed(TcxCanvas* ACanvas, const TRect& ABounds);
  virtual void DrawHeaderControlSectionBorder(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders,
                                              TcxButtonState AState);
  virtual void DrawHeaderControlSectionContent(TcxCanvas* ACanvas, const TRect& ABounds,
                                               const TRect& ATextAreaBounds, TcxButtonState AState,
                                               TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                               bool AMultiLine, bool AShowEndEllipsis, const String& AText,
                                               TFont* AFont, TColor ATextColor, TColor ABkColor);
  // Disabled text is embossed: a highlight copy one pixel right and down, then the shadow.
  virtual void DrawHeaderControlSectionText(TcxCanvas* ACanvas, const TRect& ATextAreaBounds,
                                            TcxButtonState AState, TAlignment AAlignmentHorz,
                                            TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                            bool AShowEndEllipsis, const String& AText, TFont* AFont,
                                            TColor ATextColor);
  virtual void DrawHeaderSeparator(TcxCanvas* ACanvas, const TRect& ABounds, int32_t AIndentSize,
                                   TColor AColor, const TcxViewParams& AViewParams);
  virtual void DrawScaledHeader(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                                const TcxNeighbors& ANeighbors, const TcxBorders& ABorders,
                                TcxButtonState AState, TAlignment AAlignmentHorz,
                                TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                                const String& AText, TFont* AFont, TColor ATextColor, TColor ABkColor,
                                TdxScaleFactor* AScaleFactor,
                                const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr,
                                bool AIsLast = false, bool AIsGroup = false);
  virtual void DrawScaledHeaderEx(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                                  const TcxNeighbors& ANeighbors, const TcxBorders& ABorders,
                                  TcxButtonState AState, TAlignment AAlignmentHorz,
                                  TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                                  const String& AText, TFont* AFont, TColor ATextColor, TColor ABkColor,
                                  TdxScaleFactor* AScaleFactor,
                                  const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr);
  virtual void DrawScaledHeaderControlSection(TcxCanvas* ACanvas, const TRect& ABounds,
                                              const TRect& ATextAreaBounds, const TcxNeighbors& ANeighbors,
                                              const TcxBorders& ABorders, TcxButtonState AState,
                                              TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                              bool AMultiLine, bool AShowEndEllipsis, const String& AText,
                                              TFont* AFont, TColor ATextColor, TColor ABkColor,
                                              TdxScaleFactor* AScaleFactor);
  virtual TcxBorders HeaderBorders(const TcxNeighbors& ANeighbors);
  virtual int32_t HeaderBorderSize();
  // ABounds grown by HeaderBorderSize on each side in ABorders but not in HeaderBorders.
  virtual TRect HeaderBounds(const TRect& ABounds, const TcxNeighbors& ANeighbors,
                             const TcxBorders& ABorders = cxBordersAll);
  virtual TRect HeaderContentOffsets(TdxScaleFactor* AScaleFactor);
  virtual int32_t HeaderControlSectionBorderSize(TcxButtonState AState = cxbsNormal);
  virtual TRect HeaderControlSectionContentBounds(const TRect& ABounds, TcxButtonState AState);
  virtual TRect HeaderControlSectionTextAreaBounds(const TRect& ABounds, TcxButtonState AState);
  virtual bool HeaderDrawCellsFirst();
  virtual bool IsHeaderHotTrack();
  virtual TRect ScaledHeaderContentBounds(const TRect& ABounds, const TcxBorders& ABorders,
                                          TdxScaleFactor* AScaleFactor);
  virtual int32_t ScaledHeaderHeight(int32_t AFontHeight, TdxScaleFactor* AScaleFactor);
  virtual int32_t ScaledHeaderWidth(TcxCanvas* ACanvas, const TcxBorders& ABorders, const String& AText,
                                    TFont* AFont, TdxScaleFactor* AScaleFactor);
  // Image 7 of the indicator images (the direction is not shown).
  virtual void DrawScaledSummaryValueSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                                 TdxScaleFactor* AScaleFactor);
  virtual TPoint ScaledSortingMarkAreaSize(TdxScaleFactor* AScaleFactor);
  virtual TPoint ScaledSummaryValueSortingMarkSize(TdxScaleFactor* AScaleFactor);
  virtual void DrawFilterRowSeparator(TcxCanvas* ACanvas, const TRect& ARect, TColor ABackgroundColor);
  virtual void DrawGroupByBox(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent,
                              TColor ABackgroundColor, TBitmap* ABackgroundBitmap);
  virtual int32_t GridBordersOverlapSize();
  virtual TColor GridGroupRowStyleOffice11ContentColor(bool AHasData);
  virtual TColor GridGroupRowStyleOffice11SeparatorColor();
  virtual TColor GridGroupRowStyleOffice11TextColor();
  virtual bool GridDrawHeaderCellsFirst();
  virtual TColor PivotGridHeadersAreaColor();
  virtual TColor PivotGridHeadersAreaTextColor();
  virtual TcxBorders FooterBorders();
  virtual int32_t FooterBorderSize();
  virtual int32_t FooterCellBorderSize();
  virtual int32_t FooterCellOffset();
  virtual bool FooterDrawCellsFirst();
  virtual TColor FooterSeparatorColor();
  virtual int32_t FooterSeparatorSize();
  virtual void DrawFooterCell(TcxCanvas* ACanvas, const TRect& ABounds, TAlignment AAlignmentHorz,
                              TcxAlignmentVert AAlignmentVert, bool AMultiLine, const String& AText,
                              TFont* AFont, TColor ATextColor, TColor ABkColor,
                              const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr);
  virtual void DrawFooterCellContent(TcxCanvas* ACanvas, const TRect& ABounds, TAlignment AAlignmentHorz,
                                     TcxAlignmentVert AAlignmentVert, bool AMultiLine, const String& AText,
                                     TFont* AFont, TColor ATextColor, TColor ABkColor,
                                     const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr);
  virtual void DrawFooterBorder(TcxCanvas* ACanvas, const TRect& R);
  virtual void DrawFooterBorderEx(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders);
  virtual void DrawFooterCellBorder(TcxCanvas* ACanvas, const TRect& R);
  virtual void DrawFooterContent(TcxCanvas* ACanvas, const TRect& ARect, const TcxViewParams& AViewParams);
  virtual void DrawFooterSeparator(TcxCanvas* ACanvas, const TRect& R);
  // The background of DrawBackground with the graphic turned into a bitmap first.
  virtual void DrawFilterPanel(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent,
                               TColor ABackgroundColor, TGraphic* ABackgroundBitmap);
  virtual void DrawScaledFilterActivateButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                              bool AChecked, TdxScaleFactor* AScaleFactor);
  // The smart-tag glyph with its strokes in GetFilterSmartTagColor.
  virtual void DrawScaledFilterSmartTag(TcxCanvas* ACanvas, const TRect& R, TcxFilterSmartTagState AState,
                                        bool AIsFilterActive, TdxScaleFactor* AScaleFactor);
  virtual IdxColorPalettePtr FilterControlMenuGetColorPalette();
  virtual TPoint ScaledFilterActivateButtonSize(TdxScaleFactor* AScaleFactor);
  virtual TPoint ScaledFilterDropDownButtonSize(TdxScaleFactor* AScaleFactor);
  virtual TSize ScaledFilterSmartTagSize(TdxScaleFactor* AScaleFactor);
  virtual void DrawFindPanel(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent,
                             TColor ABackgroundColor, TGraphic* ABackgroundBitmap);
  virtual void DrawFindPanelBorder(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders);
  virtual void DrawTab(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders, const String& AText,
                       TcxButtonState AState, bool AVertical, TFont* AFont, TColor ATextColor,
                       TColor ABkColor, bool AShowPrefix = false);
  virtual void DrawTabBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorder ABorder,
                             const TcxBorders& ABorders, bool AVertical);
  virtual void DrawTabsRoot(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders, bool AVertical);
  virtual bool IsDrawTabImplemented(bool AVertical);
  virtual bool IsTabHotTrack(bool AVertical);
  virtual int32_t TabBorderSize(bool AVertical);
  // The kind's glyph of the indicator images; arrows point the other way on a right-to-left
  // canvas.
  virtual void DrawScaledIndicatorImage(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind,
                                        TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledIndicatorItem(TcxCanvas* ACanvas, const TRect& R, const TRect& AImageAreaBounds,
                                       TcxIndicatorKind AKind, TColor AColor, TdxScaleFactor* AScaleFactor,
                                       const TcxDrawBackgroundEvent& AOnDrawBackground,
                                       const TcxNeighbors& ANeighbors);
  virtual void DrawScaledIndicatorItem(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind,
                                       TColor AColor, TdxScaleFactor* AScaleFactor,
                                       const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr);
  virtual void DrawScaledIndicatorItemEx(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind,
                                         TColor AColor, TdxScaleFactor* AScaleFactor,
                                         const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr);
  // Five short bars, every other one with a dot before it.
  virtual void DrawScaledIndicatorCustomizationMark(TcxCanvas* ACanvas, const TRect& R, TColor AColor,
                                                    TdxScaleFactor* AScaleFactor);
  virtual bool IndicatorDrawItemsFirst();

  // A sorting arrow in two colours (the Standard painter's sorting mark).
  void DrawSortingArrow(TcxCanvas* ACanvas, const TRect& R, TColor AColor1, TColor AColor2,
                        bool AAscendingSorting, TdxScaleFactor* AScaleFactor);
  // A bar (two when the colours differ) over a shorter sorting arrow.
  void DrawSummarySortingArrow(TcxCanvas* ACanvas, const TRect& R, TColor AColor1, TColor AColor2,
                               bool AAscendingSorting, TdxScaleFactor* AScaleFactor);
  // The footer's content and borders, clipped to ABounds.
  void DrawFooterPanel(TcxCanvas* ACanvas, const TRect& ABounds, const TcxViewParams& AViewParams,
                       const TcxBorders& ABorders);
  void DrawHeaderControlSection(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                                const TcxNeighbors& ANeighbors, const TcxBorders& ABorders,
                                TcxButtonState AState, TAlignment AAlignmentHorz,
                                TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                                const String& AText, TFont* AFont, TColor ATextColor, TColor ABkColor);
  int32_t HeaderWidth(TcxCanvas* ACanvas, const TcxBorders& ABorders, const String& AText, TFont* AFont);
  TPoint SortingMarkAreaSize();
  TPoint SortingMarkSize();
  TPoint SummarySortingMarkSize();
  TPoint SummaryValueSortingMarkSize();
  void DrawSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting);
  void DrawSummarySortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting);
  void DrawSummaryValueSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting);
  void DrawFilterActivateButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AChecked);
  void DrawFilterCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  void DrawFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                bool AIsFilterActive);
  void DrawFilterSmartTag(TcxCanvas* ACanvas, const TRect& R, TcxFilterSmartTagState AState,
                          bool AIsFilterActive);
  TPoint FilterActivateButtonSize();
  TPoint FilterCloseButtonSize();
  TPoint FilterDropDownButtonSize();
  TSize FilterSmartTagSize();
  void DrawIndicatorImage(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind);
  void DrawIndicatorItem(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind, TColor AColor,
                         const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr);
  void DrawIndicatorItemEx(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind, TColor AColor,
                           const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr);
  // With the default 1:1 scale factor.
  void DrawHeader(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                  const TcxNeighbors& ANeighbors, const TcxBorders& ABorders, TcxButtonState AState,
                  TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                  bool AShowEndEllipsis, const String& AText, TFont* AFont, TColor ATextColor,
                  TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr,
                  bool AIsLast = false, bool AIsGroup = false);
  void DrawHeaderEx(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                    const TcxNeighbors& ANeighbors, const TcxBorders& ABorders, TcxButtonState AState,
                    TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                    bool AShowEndEllipsis, const String& AText, TFont* AFont, TColor ATextColor,
                    TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr);
  TRect HeaderContentBounds(const TRect& ABounds, const TcxBorders& ABorders);
  int32_t HeaderHeight(int32_t AFontHeight);
  void DrawIndicatorCustomizationMark(TcxCanvas* ACanvas, const TRect& R, TColor AColor);

  // --- Navigator, date navigator, scheduler and clock ------------------------------------------
  // (cxLookAndFeelPaintersNavigator.cpp, cxLookAndFeelPaintersScheduler.cpp)

  // The face of a scheduler navigation button: framed on the three sides away from the
  // control's edge, with its arrow.
  virtual void DrawSchedulerNavigationButtonContent(TcxCanvas* ACanvas, const TRect& ARect,
                                                    const TRect& AArrowRect, bool AIsNextButton,
                                                    TcxButtonState AState, bool AIsVertical);
  // Lays out a scheduler navigation button: the borders, the arrow (centred in a box three
  // arrows long) and the text area, grown when the longer text does not fit.
  virtual void CalculateSchedulerNavigationButtonRects(bool AIsNextButton, bool ACollapsed,
                                                       int32_t APrevButtonTextSize,
                                                       int32_t ANextButtonTextSize, TRect& ABounds,
                                                       TRect& ATextRect, TRect& AArrowRect,
                                                       TdxScaleFactor* AScaleFactor, bool AIsVertical);
  virtual void CalculateSchedulerNavigationButtonRects(bool AIsNextButton, bool ACollapsed,
                                                       int32_t APrevButtonTextSize,
                                                       int32_t ANextButtonTextSize, TRect& ABounds,
                                                       TRect& ATextRect, TRect& AArrowRect, bool AIsVertical);
  // A header with centred text and the month arrows of AArrows at its ends.
  virtual void DrawScaledMonthHeader(TcxCanvas* ACanvas, const TRect& ABounds, const String& AText,
                                     const TcxNeighbors& ANeighbors, const TcxViewParams& AViewParams,
                                     const TcxArrowDirections& AArrows, int32_t ASideWidth,
                                     TdxScaleFactor* AScaleFactor,
                                     const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr);
  virtual void DrawSchedulerBorder(TcxCanvas* ACanvas, const TRect& R);
  // Only the background event.
  virtual void DrawSchedulerDayHeader(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                                      const TcxNeighbors& ANeighbors, const TcxBorders& ABorders,
                                      TcxButtonState AState, TAlignment AAlignmentHorz,
                                      TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                                      const String& AText, TFont* AFont, TColor ATextColor, TColor ABkColor,
                                      TdxScaleFactor* AScaleFactor,
                                      const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr,
                                      bool AIsLast = false, bool AIsGroup = false);
  virtual void DrawSchedulerEventProgress(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& AProgress,
                                          const TcxViewParams& AViewParams, bool ATransparent);
  virtual void DrawSchedulerGroup(TcxCanvas* ACanvas, const TRect& R, TColor AColor);
  virtual void DrawSchedulerScaledGroupSeparator(TcxCanvas* ACanvas, const TRect& ABounds,
                                                 TColor ABackgroundColor, TdxScaleFactor* AScaleFactor,
                                                 const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr);
  virtual void DrawSchedulerMilestone(TcxCanvas* ACanvas, const TRect& R);
  virtual void DrawSchedulerNavigationButton(TcxCanvas* ACanvas, const TRect& ARect, bool AIsNextButton,
                                             TcxButtonState AState, const String& AText,
                                             const TRect& ATextRect, const TRect& AArrowRect,
                                             bool AIsVertical);
  // A chevron toward the previous (left or up) or next (right or down) period.
  virtual void DrawSchedulerNavigationButtonArrow(TcxCanvas* ACanvas, const TRect& ARect, bool AIsNextButton,
                                                  TColor AColor, bool AForVertical);
  virtual void DrawSchedulerScaledNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                  TdxScaleFactor* AScaleFactor);
  virtual void DrawSchedulerSplitterBorder(TcxCanvas* ACanvas, const TRect& R,
                                           const TcxViewParams& AViewParams, bool AIsHorizontal);
  virtual TRect SchedulerEventProgressOffsets();
  virtual TColor SchedulerNavigationButtonTextColor(bool AIsNextButton, TcxButtonState AState,
                                                    TColor ADefaultColor);
  // The fixed borders (not scaled), the 7 x 7 arrow and whether there is a text area.
  virtual void SchedulerNavigationButtonSizes(bool AIsNextButton, TRect& ABorders, TSize& AArrowSize,
                                              bool& AHasTextArea, TdxScaleFactor* AScaleFactor,
                                              bool AIsVertical);
  virtual void SchedulerNavigationButtonSizes(bool AIsNextButton, TRect& ABorders, TSize& AArrowSize,
                                              bool& AHasTextArea, bool AIsVertical);
  // Twelve hour dots on a circle, the background around them and the hands of ADateTime.
  virtual void DrawScaledClock(TcxCanvas* ACanvas, const TRect& ARect, TDateTime ADateTime,
                               TColor ABackgroundColor, TdxScaleFactor* AScaleFactor);
  virtual TSize ScaledClockSize(TdxScaleFactor* AScaleFactor);
  virtual void DrawDateNavigatorCellSelection(TcxCanvas* ACanvas, const TRect& R, TColor AColor);
  // R comes back inside the raised edge.
  virtual void DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, TRect& R);
  virtual void DrawDateNavigatorTodayCellSelection(TcxCanvas* ACanvas, const TRect& R);

  void DrawMonthHeaderArrows(TcxCanvas* ACanvas, const TRect& ABounds, const TcxArrowDirections& AArrows,
                             int32_t ASideWidth, TColor AColor);
  void DrawMonthHeaderLeftArrow(TcxCanvas* ACanvas, const TRect& ABounds, int32_t ASideWidth, TColor AColor);
  void DrawMonthHeaderRightArrow(TcxCanvas* ACanvas, const TRect& ABounds, int32_t ASideWidth, TColor AColor);
  void DrawMonthHeader(TcxCanvas* ACanvas, const TRect& ABounds, const String& AText,
                       const TcxNeighbors& ANeighbors, const TcxViewParams& AViewParams,
                       const TcxArrowDirections& AArrows, int32_t ASideWidth,
                       const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr);
  void DrawSchedulerGroupSeparator(TcxCanvas* ACanvas, const TRect& ABounds, TColor ABackgroundColor,
                                   const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr);
  void DrawSchedulerNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  void DrawClock(TcxCanvas* ACanvas, const TRect& ARect, TDateTime ADateTime, TColor ABackgroundColor);
  TSize ClockSize();

  virtual void DrawNavigatorBorder(TcxCanvas* ACanvas, const TRect& R, bool ASelected);
  // A push button without caption in AState.
  virtual void DrawNavigatorScaledButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                         TColor ABackgroundColor, TdxScaleFactor* AScaleFactor);
  // The image-list entry, left-bottom pixel transparent, disabled images dimmed.
  virtual void DrawNavigatorScaledButtonGlyph(TcxCanvas* ACanvas, TCustomImageList* AImageList,
                                              int32_t AImageIndex, const TRect& AGlyphRect, bool AEnabled,
                                              bool AUserGlyphs, TdxScaleFactor* AScaleFactor);
  virtual bool NavigatorBorderOverlap();
  virtual int32_t NavigatorBorderSize();
  virtual IdxColorPalettePtr NavigatorButtonColorPalette(bool AEnabled);
  virtual TPoint NavigatorButtonPressedGlyphOffset();
  virtual TColor NavigatorButtonTextColor(TcxButtonState AState);
  virtual TRect NavigatorScaledButtonGlyphPadding(TdxScaleFactor* AScaleFactor);
  virtual TSize NavigatorScaledButtonGlyphSize(TdxScaleFactor* AScaleFactor);
  virtual TSize NavigatorScaledButtonMinSize(TdxScaleFactor* AScaleFactor);
  virtual TColor NavigatorInfoPanelColor();
  virtual TColor NavigatorInfoPanelTextColor();

  void DrawNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                           TColor ABackgroundColor);
  void DrawNavigatorButtonGlyph(TcxCanvas* ACanvas, TCustomImageList* AImageList, int32_t AImageIndex,
                                const TRect& AGlyphRect, bool AEnabled, bool AUserGlyphs);
  TRect NavigatorButtonGlyphPadding();
  TSize NavigatorButtonGlyphSize();
  TSize NavigatorButtonMinSize();

  // --- Views, charts, gauges, maps, navigation bars, PDF viewers and spreadsheets --------------
  // (cxLookAndFeelPaintersViews.cpp)

  // Layout view. AElement names an element of the view; the base has no padding or spacing for
  // any.
  virtual void LayoutViewDrawItem(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                  const TcxBorders& ABorders = cxBordersAll);
  virtual void LayoutViewDrawRecordCaption(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextRect,
                                           TcxGroupBoxCaptionPosition APosition, TcxButtonState AState,
                                           TColor AColor = clDefault, TBitmap* ABitmap = nullptr);
  virtual void LayoutViewDrawRecordBorder(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                          const TcxBorders& ABorders);
  virtual void LayoutViewDrawRecordContent(TcxCanvas* ACanvas, const TRect& ABounds,
                                           TcxGroupBoxCaptionPosition ACaptionPosition, TcxButtonState AState,
                                           const TcxBorders& ABorders = cxBordersAll);
  virtual void LayoutViewDrawScaledRecordExpandButton(TcxCanvas* ACanvas, const TRect& ABounds,
                                                      TcxButtonState AState, bool AExpanded,
                                                      TdxScaleFactor* AScaleFactor);
  virtual TRect LayoutViewGetPadding(int32_t AElement);
  virtual TRect LayoutViewGetSpacing(int32_t AElement);
  virtual int32_t LayoutViewRecordCaptionTailSize(TcxGroupBoxCaptionPosition ACaptionPosition);
  virtual bool LayoutViewRecordCaptionTextBold();
  // Explorer-style view.
  virtual TColor WinExplorerViewDefaultRecordColor(TcxButtonState AState);
  virtual void WinExplorerViewDrawGroup(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                        TColor AColor = clDefault, TBitmap* ABitmap = nullptr);
  virtual void WinExplorerViewDrawGroupCaptionLine(TcxCanvas* ACanvas, const TRect& ABounds);
  virtual void WinExplorerViewDrawRecord(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                         TColor AColor = clDefault, TBitmap* ABitmap = nullptr);
  virtual void WinExplorerViewDrawScaledRecordExpandButton(TcxCanvas* ACanvas, const TRect& ABounds,
                                                           TcxButtonState AState, bool AExpanded,
                                                           TdxScaleFactor* AScaleFactor);
  virtual int32_t WinExplorerViewGroupCaptionLineHeight();
  virtual bool WinExplorerViewGroupTextBold();
  virtual TColor WinExplorerViewGroupTextColor(TcxButtonState AState);
  virtual TColor WinExplorerViewRecordTextColor(TcxButtonState AState);
  virtual int32_t WinExplorerViewScaledExpandButtonSize(TdxScaleFactor* AScaleFactor);
  // Chart tool box and gauge.
  virtual int32_t ChartToolBoxDataLevelInfoBorderSize();
  virtual TColor GaugeControlBackgroundColor();
  virtual void DrawGaugeControlBackground(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent,
                                          TColor ABackgroundColor);
  // Map control.
  virtual TColor MapControlBackgroundColor();
  virtual TdxAlphaColor MapControlPanelBackColor();
  virtual TdxAlphaColor MapControlPanelHotTrackedTextColor();
  virtual TdxAlphaColor MapControlPanelPressedTextColor();
  virtual TdxAlphaColor MapControlPanelTextColor();
  virtual TSize MapControlGetMapPushpinSize(TdxScaleFactor* AScaleFactor);
  virtual TPoint MapControlGetMapPushpinTextOrigin(TdxScaleFactor* AScaleFactor);
  virtual TRect MapControlMapCustomElementSelectionOffset(TdxScaleFactor* AScaleFactor);
  virtual TdxAlphaColor MapControlMapCustomElementTextColor();
  virtual TdxAlphaColor MapControlMapCustomElementTextGlowColor();
  virtual TdxAlphaColor MapControlMapPushpinTextColor();
  virtual TdxAlphaColor MapControlMapPushpinTextGlowColor();
  virtual TdxAlphaColor MapControlSelectedRegionBackgroundColor();
  virtual TdxAlphaColor MapControlSelectedRegionBorderColor();
  virtual TdxAlphaColor MapControlShapeColor();
  virtual TdxAlphaColor MapControlShapeBorderColor();
  virtual int32_t MapControlShapeBorderWidth(TdxScaleFactor* AScaleFactor);
  virtual TdxAlphaColor MapControlShapeHighlightedColor();
  virtual TdxAlphaColor MapControlShapeBorderHighlightedColor();
  virtual int32_t MapControlShapeBorderHighlightedWidth(TdxScaleFactor* AScaleFactor);
  virtual TdxAlphaColor MapControlShapeSelectedColor();
  virtual TdxAlphaColor MapControlShapeBorderSelectedColor();
  virtual int32_t MapControlShapeBorderSelectedWidth(TdxScaleFactor* AScaleFactor);
  // A translucent rounded rectangle while hot or pressed.
  virtual void DrawMapCustomElementBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                              TdxMapControlElementState AState);
  virtual void DrawMapPushpin(TcxCanvas* ACanvas, const TRect& ARect, TdxMapControlElementState AState,
                              TdxScaleFactor* AScaleFactor);
  // Office navigation bar.
  virtual void OfficeNavigationBarDrawBackground(TcxCanvas* ACanvas, const TRect& ARect);
  virtual void OfficeNavigationBarDrawScaledButtonItemBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                                 TcxCalendarElementState AState,
                                                                 TdxScaleFactor* AScaleFactor);
  // The customization glyph, recoloured to AColor (drawn with its alpha) unless AColor is the
  // default marker.
  virtual void OfficeNavigationBarDrawScaledCustomizationButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                TcxCalendarElementState AState,
                                                                TdxScaleFactor* AScaleFactor,
                                                                TdxAlphaColor AColor = TdxAlphaColorsDefault);
  virtual void OfficeNavigationBarDrawScaledItemBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                           TcxCalendarElementState AState,
                                                           TdxScaleFactor* AScaleFactor);
  virtual void OfficeNavigationBarDrawScaledImageSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                           TcxCalendarElementState AState,
                                                           TdxScaleFactor* AScaleFactor);
  virtual TColor OfficeNavigationBarButtonItemTextColor(TcxCalendarElementState AState);
  virtual TColor OfficeNavigationBarItemTextColor(TcxCalendarElementState AState);
  virtual TRect OfficeNavigationBarScaledButtonItemContentOffsets(TdxScaleFactor* AScaleFactor);
  virtual int32_t OfficeNavigationBarScaledButtonItemFontSize(TdxScaleFactor* AScaleFactor);
  virtual TRect OfficeNavigationBarScaledContentOffsets(TdxScaleFactor* AScaleFactor);
  virtual TSize OfficeNavigationBarScaledCustomizationButtonSize(TdxScaleFactor* AScaleFactor);
  virtual TRect OfficeNavigationBarScaledItemContentOffsets(TdxScaleFactor* AScaleFactor);
  virtual int32_t OfficeNavigationBarScaledItemFontSize(TdxScaleFactor* AScaleFactor);
  // PDF viewer.
  virtual IdxColorPalettePtr PDFViewerNavigationPaneButtonColorPalette(TcxButtonState AState);
  virtual TRect PDFViewerNavigationPaneButtonContentOffsets(TdxScaleFactor* AScaleFactor);
  virtual TPoint PDFViewerNavigationPaneButtonOverlay(TdxScaleFactor* AScaleFactor);
  virtual TSize PDFViewerNavigationPaneButtonSize(TdxScaleFactor* AScaleFactor);
  virtual TRect PDFViewerNavigationPaneContentOffsets(TdxScaleFactor* AScaleFactor);
  virtual TRect PDFViewerNavigationPanePageCaptionContentOffsets(TdxScaleFactor* AScaleFactor);
  virtual TColor PDFViewerNavigationPanePageCaptionTextColor();
  virtual TRect PDFViewerNavigationPanePageContentOffsets(TdxScaleFactor* AScaleFactor);
  virtual TRect PDFViewerNavigationPanePageToolbarContentOffsets(TdxScaleFactor* AScaleFactor);
  virtual TColor PDFViewerSelectionColor();
  virtual void PDFViewerDrawNavigationPaneBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                     TdxScaleFactor* AScaleFactor);
  virtual void PDFViewerDrawNavigationPaneButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                 TcxButtonState AState, TdxScaleFactor* AScaleFactor,
                                                 bool AMinimized, bool ASelected, bool AIsFirst);
  virtual void PDFViewerDrawNavigationPanePageBackground(TcxCanvas* ACanvas, const TRect& ARect);
  virtual void PDFViewerDrawNavigationPanePageButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                     TcxButtonState AState, TdxScaleFactor* AScaleFactor);
  virtual void PDFViewerDrawNavigationPanePageCaptionBackground(TcxCanvas* ACanvas, const TRect& ARect);
  virtual void PDFViewerDrawNavigationPanePageToolbarBackground(TcxCanvas* ACanvas, const TRect& ARect);
  // DrawBorder over R, then the control colour inside the border on the sides of ABorders.
  virtual void PDFViewerDrawFindPanelBackground(TcxCanvas* ACanvas, const TRect& R,
                                                const TcxBorders& ABorders);
  virtual void PDFViewerDrawPageThumbnailPreviewBackground(TcxCanvas* ACanvas, const TRect& ARect);
  // Spreadsheet.
  // DrawScaledHeader; a selected (pressed) header's background goes 70 per cent toward the
  // highlight.
  virtual void DrawSpreadSheetScaledHeader(
      TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, const TcxNeighbors& ANeighbors,
      const TcxBorders& ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
      TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const String& AText,
      TFont* AFont, TColor ATextColor, TColor ABkColor, TdxScaleFactor* AScaleFactor,
      const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr, bool AIsLast = false, bool AIsGroup = false);
  virtual void DrawSpreadSheetScaledGroupExpandButton(TcxCanvas* ACanvas, const TRect& R,
                                                      TcxButtonState AState, TdxScaleFactor* AScaleFactor);
  // Navigator glyph 8 (expanded) or 6 of ADefaultGlyphs, centred in R.
  virtual void DrawSpreadSheetScaledGroupExpandButtonGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                           TcxButtonState AState, bool AExpanded,
                                                           TdxScaleFactor* AScaleFactor,
                                                           TCustomImageList* ADefaultGlyphs);
  virtual TColor SpreadSheetContentColor();
  virtual TColor SpreadSheetContentTextColor();
  virtual TColor SpreadSheetFrozenPaneSeparatorColor();
  virtual TColor SpreadSheetGroupExpandButtonTextColor(TcxButtonState AState);
  virtual TColor SpreadSheetGroupLineColor();
  virtual TRect SpreadSheetScaledGroupExpandButtonContentOffsets(TdxScaleFactor* AScaleFactor);
  virtual TSize SpreadSheetScaledGroupExpandButtonGlyphSize(TdxScaleFactor* AScaleFactor);
  virtual TSize SpreadSheetScaledGroupLevelMarkSize(TdxScaleFactor* AScaleFactor);
  virtual TColor SpreadSheetSelectionColor();
  virtual void DrawSpreadSheetFormulaBarScaledExpandButton(TcxCanvas* ACanvas, const TRect& R,
                                                           TcxButtonState AState, bool AExpanded,
                                                           TdxScaleFactor* AScaleFactor);
  virtual void DrawSpreadSheetFormulaBarScaledSeparator(TcxCanvas* ACanvas, const TRect& R,
                                                        TdxScaleFactor* AScaleFactor);
  virtual int32_t SpreadSheetFormulaBarGetScaledSeparatorSize(TdxScaleFactor* AScaleFactor);

  // R, grown by PDFViewerNavigationPaneButtonOverlay when the button is selected or pressed.
  TRect PDFViewerNavigationPaneButtonRect(const TRect& R, TcxButtonState AState, TdxScaleFactor* AScaleFactor,
                                          bool ASelected);
  void LayoutViewDrawRecordExpandButton(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                        bool AExpanded);
  void WinExplorerViewDrawRecordExpandButton(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                             bool AExpanded);
  int32_t WinExplorerViewExpandButtonSize();
  void OfficeNavigationBarDrawCustomizationButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                  TcxCalendarElementState AState,
                                                  TdxAlphaColor AColor = TdxAlphaColorsDefault);
  void OfficeNavigationBarDrawImageSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                             TcxCalendarElementState AState);
  void OfficeNavigationBarButtonItemDrawBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                   TcxCalendarElementState AState);
  void OfficeNavigationBarItemDrawBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                             TcxCalendarElementState AState);
  TRect OfficeNavigationBarContentOffsets();
  TSize OfficeNavigationBarCustomizationButtonSize();
  TRect OfficeNavigationBarButtonItemContentOffsets();
  int32_t OfficeNavigationBarButtonItemFontSize();
  TRect OfficeNavigationBarItemContentOffsets();
  int32_t OfficeNavigationBarItemFontSize();
  void DrawSpreadSheetGroupExpandButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  void DrawSpreadSheetGroupExpandButtonGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                             bool AExpanded, TCustomImageList* ADefaultGlyphs);
  void DrawSpreadSheetHeader(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                             const TcxNeighbors& ANeighbors, const TcxBorders& ABorders,
                             TcxButtonState AState, TAlignment AAlignmentHorz,
                             TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                             const String& AText, TFont* AFont, TColor ATextColor, TColor ABkColor,
                             const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr, bool AIsLast = false,
                             bool AIsGroup = false);
  TRect SpreadSheetGroupExpandButtonContentOffsets();
  TSize SpreadSheetGroupExpandButtonGlyphSize();
  TSize SpreadSheetGroupLevelMarkSize();

  // Print preview (the page-thumbnail background above draws with it).
  virtual TColor PrintPreviewBackgroundTextColor();
  // Per-side widths (2, 2, 4, 4), not scaled.
  virtual TRect PrintPreviewPageBordersScaledWidth(TdxScaleFactor* AScaleFactor);
  virtual void DrawPrintPreviewScaledBackground(TcxCanvas* ACanvas, const TRect& R,
                                                TdxScaleFactor* AScaleFactor);
  // A page with a shadow two pixels right and down.
  virtual void DrawPrintPreviewPageScaledBackground(TcxCanvas* ACanvas, const TRect& ABorderRect,
                                                    const TRect& AContentRect, bool ASelected,
                                                    bool ADrawContent, TdxScaleFactor* AScaleFactor);
  void DrawPrintPreviewBackground(TcxCanvas* ACanvas, const TRect& R);
  void DrawPrintPreviewPageBackground(TcxCanvas* ACanvas, const TRect& ABorderRect, const TRect& AContentRect,
                                      bool ASelected, bool ADrawContent);
  TRect PrintPreviewPageBordersWidth();

  // --- Range controls, breadcrumb edits, list boxes, alert windows, galleries, calendars and
  //     other controls -----------------------------------------------------------------------
  // (cxLookAndFeelPaintersControls.cpp; the print preview is with the views above)

  // Range control.
  virtual void DrawRangeControlScaledLeftThumb(TcxCanvas* ACanvas, const TRect& ARect, TColor AColor,
                                               TColor ABorderColor, TdxScaleFactor* AScaleFactor);
  virtual void DrawRangeControlScaledRightThumb(TcxCanvas* ACanvas, const TRect& ARect, TColor AColor,
                                                TColor ABorderColor, TdxScaleFactor* AScaleFactor);
  // AColor's default marker is a light blue while hot, white otherwise.
  virtual void DrawRangeControlScaledRulerHeader(TcxCanvas* ACanvas, const TRect& ARect, bool AIsHot,
                                                 TdxAlphaColor AColor, TdxAlphaColor ABorderColor,
                                                 TdxScaleFactor* AScaleFactor);
  virtual void DrawRangeControlScaledSizingGlyph(TcxCanvas* ACanvas, const TRect& ARect,
                                                 TdxAlphaColor ABorderColor, TdxScaleFactor* AScaleFactor);
  virtual TColor GetRangeControlBackColor();
  virtual TColor GetRangeControlBorderColor();
  virtual TColor GetRangeControlDefaultElementColor();
  virtual TColor GetRangeControlElementForeColor();
  virtual TdxAlphaColor GetRangeControlElementsBorderColor();
  virtual TColor GetRangeControlLabelColor();
  virtual TdxAlphaColor GetRangeControlOutOfRangeColor();
  virtual TColor GetRangeControlRangePreviewColor();
  virtual TdxAlphaColor GetRangeControlRulerColor();
  virtual int32_t GetRangeControlScaledScrollAreaHeight(TdxScaleFactor* AScaleFactor);
  virtual TSize GetRangeControlScaledSizingGlyphSize(TdxScaleFactor* AScaleFactor);
  virtual TSize GetRangeControlScaledThumbSize(TdxScaleFactor* AScaleFactor);
  virtual TColor GetRangeControlScrollAreaColor();
  virtual TdxAlphaColor GetRangeControlSelectedRegionBackgroundColor();
  virtual TdxAlphaColor GetRangeControlSelectedRegionBorderColor();
  virtual TColor GetRangeControlViewPortPreviewColor();
  // Layout control, scroll box, customization form, message box.
  virtual TColor LayoutControlEmptyAreaColor();
  virtual IdxColorPalettePtr LayoutControlGetColorPaletteForGroupButton(TcxButtonState AState);
  virtual IdxColorPalettePtr LayoutControlGetColorPaletteForItemCaption();
  virtual IdxColorPalettePtr LayoutControlGetColorPaletteForTabbedGroupCaption(bool AIsActive);
  virtual void DrawLayoutControlBackground(TcxCanvas* ACanvas, const TRect& R);
  virtual void DrawScrollBoxBackground(TcxCanvas* ACanvas, const TRect& R, TColor AColor);
  virtual TColor GetCustomizationFormListBackgroundColor();
  // A grid-line frame around a fill of AColor (the group colour for clNone) and the message
  // centred with word break.
  virtual void DrawMessageBox(TcxCanvas* ACanvas, const TRect& ABounds, const String& AMessage, TFont* AFont,
                              TColor AColor = clNone);
  // Breadcrumb edit.
  virtual TColor BreadcrumbEditBackgroundColor(TdxBreadcrumbEditState AState);
  virtual TRect BreadcrumbEditBordersSize();
  virtual IdxColorPalettePtr BreadcrumbEditButtonColorPalette(TdxBreadcrumbEditButtonState AState);
  virtual bool BreadcrumbEditIsFadingSupports();
  virtual TColor BreadcrumbEditNodeTextColor(TdxBreadcrumbEditButtonState AState);
  virtual int32_t BreadcrumbEditScaledButtonAreaSeparatorSize(TdxScaleFactor* AScaleFactor);
  virtual TRect BreadcrumbEditScaledButtonContentOffsets(bool AIsFirst, bool AIsLast,
                                                         TdxScaleFactor* AScaleFactor);
  virtual int32_t BreadcrumbEditScaledDropDownButtonWidth(TdxScaleFactor* AScaleFactor);
  virtual int32_t BreadcrumbEditScaledNodeDelimiterSize(TdxScaleFactor* AScaleFactor);
  virtual TRect BreadcrumbEditScaledNodeTextOffsets(TdxScaleFactor* AScaleFactor);
  virtual TSize BreadcrumbEditScaledProgressChunkOverlaySize(TdxScaleFactor* AScaleFactor);
  virtual TRect BreadcrumbEditScaledProgressChunkPadding(TdxScaleFactor* AScaleFactor);
  virtual void DrawBreadcrumbEditBorders(TcxCanvas* ACanvas, const TRect& ARect, const TcxBorders& ABorders,
                                         TdxBreadcrumbEditState AState);
  // Nothing while normal or disabled, else a push button in the mapped state.
  virtual void DrawBreadcrumbEditScaledButton(TcxCanvas* ACanvas, const TRect& ARect,
                                              TdxBreadcrumbEditButtonState AState, bool AIsFirst,
                                              bool AIsLast, TdxScaleFactor* AScaleFactor);
  virtual void DrawBreadcrumbEditScaledButtonAreaSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                           TdxBreadcrumbEditState AState,
                                                           TdxScaleFactor* AScaleFactor);
  virtual void DrawBreadcrumbEditScaledDropDownButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                      TdxBreadcrumbEditButtonState AState, bool AIsInEditor,
                                                      TdxScaleFactor* AScaleFactor);
  virtual void DrawBreadcrumbEditScaledDropDownButtonGlyph(TcxCanvas* ACanvas, const TRect& ARect,
                                                           TdxBreadcrumbEditButtonState AState,
                                                           bool AIsInEditor, TdxScaleFactor* AScaleFactor);
  virtual void DrawBreadcrumbEditScaledNode(TcxCanvas* ACanvas, const TRect& R,
                                            TdxBreadcrumbEditButtonState AState, bool AHasDelimiter,
                                            TdxScaleFactor* AScaleFactor);
  virtual void DrawBreadcrumbEditScaledNodeDelimiter(TcxCanvas* ACanvas, const TRect& R,
                                                     TdxBreadcrumbEditButtonState AState,
                                                     TdxScaleFactor* AScaleFactor);
  virtual void DrawBreadcrumbEditScaledNodeDelimiterGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                          TdxBreadcrumbEditButtonState AState,
                                                          TdxScaleFactor* AScaleFactor);
  virtual void DrawBreadcrumbEditScaledNodeMoreButtonGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                           TdxBreadcrumbEditButtonState AState,
                                                           TdxScaleFactor* AScaleFactor);
  virtual void DrawBreadcrumbEditScaledProgressChunk(TcxCanvas* ACanvas, const TRect& R,
                                                     TdxScaleFactor* AScaleFactor);
  virtual void DrawBreadcrumbEditScaledProgressChunkOverlay(TcxCanvas* ACanvas, const TRect& R,
                                                            TdxScaleFactor* AScaleFactor);
  // Drop-down list box.
  virtual void DrawDropDownListBoxBackground(TcxCanvas* ACanvas, const TRect& ARect, bool AHasBorders);
  virtual void DrawDropDownListBoxScaledGutterBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                         TdxScaleFactor* AScaleFactor);
  virtual void DrawDropDownListBoxScaledSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                  const TRect& AGutterRect, TdxScaleFactor* AScaleFactor);
  virtual void DrawDropDownListBoxScaledSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                  const TRect& AGutterRect, TdxScaleFactor* AScaleFactor);
  virtual int32_t DropDownListBoxBordersSize();
  virtual TColor DropDownListBoxItemTextColor(bool ASelected);
  virtual TRect DropDownListBoxScaledItemImageOffsets(TdxScaleFactor* AScaleFactor);
  virtual TRect DropDownListBoxScaledItemTextOffsets(TdxScaleFactor* AScaleFactor);
  virtual int32_t DropDownListBoxScaledSeparatorSize(TdxScaleFactor* AScaleFactor);
  // Rating control and fixed group indicator.
  // Row 0 of the glyph strip unchecked, 1 hover, 2 checked.
  virtual void DrawRatingControlScaledIndicator(TcxCanvas* ACanvas, const TRect& ABounds,
                                                TdxRatingControlIndicatorState AState,
                                                TdxScaleFactor* AScaleFactor);
  virtual IdxColorPalettePtr GetRatingControlIndicatorColorPalette(TdxRatingControlIndicatorState AState);
  virtual TSize GetRatingControlScaledIndicatorSize(TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledFixedGroupIndicator(TcxCanvas* ACanvas, const TRect& ABounds,
                                             TdxScaleFactor* AScaleFactor);
  virtual TSize GetScaledFixedGroupIndicatorSize(TdxScaleFactor* AScaleFactor);
  // Wheel picker.
  virtual TColor GetWheelPickerBorderItemColor(TcxButtonState AState);
  virtual IdxColorPalettePtr GetWheelPickerColorPalette(TcxButtonState AState);
  virtual TColor GetWheelPickerFillItemColor(TcxButtonState AState);
  virtual void DrawWheelPickerItem(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState);
  virtual void DrawWheelPickerItemBackground(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState);
  virtual void DrawWheelPickerItemBorder(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState);
  // Rich edit.
  virtual TColor RichEditControlHeaderFooterLineColor();
  virtual TColor RichEditControlHeaderFooterMarkBackColor();
  virtual TColor RichEditControlHeaderFooterMarkTextColor();
  virtual TColor RichEditRulerControlColor();
  virtual TColor RichEditRulerActiveAreaColor();
  virtual TColor RichEditRulerDefaultTabColor();
  virtual TColor RichEditRulerInactiveAreaColor();
  virtual TColor RichEditRulerTabTypeToggleBorderColor();
  virtual TColor RichEditRulerTextColor();
  // Tokens.
  // A shadow frame; hot and pressed tokens (and the default one) get a button face inside it.
  virtual void DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                         TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledTokenCloseGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                         TdxScaleFactor* AScaleFactor);
  virtual TSize GetScaledTokenCloseGlyphSize(TdxScaleFactor* AScaleFactor);
  virtual TRect GetScaledTokenContentOffsets(TdxScaleFactor* AScaleFactor);
  virtual TSize GetScaledTokenDefaultGlyphSize(TdxScaleFactor* AScaleFactor);
  virtual IdxColorPalettePtr GetTokenColorPalette(TcxButtonState AState);
  virtual TColor GetTokenTextColor(TcxButtonState AState);

  // Calculator, alert window, gallery, calendar and modern clock.
  virtual TColor CalcEditButtonTextColor(TcxCalcButtonKind AButtonKind);
  virtual IdxColorPalettePtr AlertWindowButtonGetColorPalette(TcxButtonState AState);
  virtual int32_t AlertWindowCornerRadius();
  virtual TColor AlertWindowNavigationPanelTextColor();
  virtual TRect AlertWindowScaledButtonContentOffsets(TdxAlertWindowButtonKind AKind,
                                                      TdxScaleFactor* AScaleFactor);
  // 10 x 10 scaled; the custom button has no glyph.
  virtual TSize AlertWindowScaledButtonGlyphSize(TdxAlertWindowButtonKind AKind,
                                                 TdxScaleFactor* AScaleFactor);
  virtual TRect AlertWindowScaledContentOffsets(TdxScaleFactor* AScaleFactor);
  virtual TColor AlertWindowTextColor();
  virtual void DrawAlertWindowBackground(TcxCanvas* ACanvas, const TRect& ABounds,
                                         TdxScaleFactor* AScaleFactor);
  // A push button (pressed while down) with the kind's glyph: a cross, a pin, or an arrow.
  virtual void DrawAlertWindowScaledButton(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                           TdxAlertWindowButtonKind AKind, TdxScaleFactor* AScaleFactor,
                                           bool ADown = false);
  virtual void DrawAlertWindowNavigationPanel(TcxCanvas* ACanvas, const TRect& ABounds);
  virtual TColor GetGalleryGroupTextColor();
  virtual TColor GetGalleryItemCaptionTextColor(TcxButtonState AState);
  virtual IdxColorPalettePtr GetGalleryItemColorPalette(TcxButtonState AState);
  virtual TColor GetGalleryItemDescriptionTextColor(TcxButtonState AState);
  virtual TColor GetGalleryItemImageFrameColor();
  virtual TRect GetGalleryScaledGroupHeaderContentOffsets(TdxScaleFactor* AScaleFactor);
  virtual void DrawGalleryBackground(TcxCanvas* ACanvas, const TRect& ABounds);
  virtual void DrawGalleryGroupHeader(TcxCanvas* ACanvas, const TRect& ABounds);
  virtual bool DrawGalleryItemSelectionFirst();
  virtual void DrawGalleryItemImageFrame(TcxCanvas* ACanvas, const TRect& R);
  virtual TColor GetColorGalleryGlyphFrameColor();
  // Checked, hot, and pressed or focused items get an outer and an inner frame.
  virtual void DrawColorGalleryItemSelection(TcxCanvas* ACanvas, const TRect& R,
                                             const TdxGalleryItemViewState& AViewState);
  // Today's (marked) cell gets the today frame.
  virtual void DrawCalendarDateCellSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                             const TcxCalendarElementStates& AStates);
  virtual void DrawModernCalendarArrow(TcxCanvas* ACanvas, const TRect& ARect, TcxArrowDirection ADirection,
                                       TcxCalendarElementState AState);
  // The face glyph, the hands and the glass glyph composed off-screen over the background
  // (what the canvas shows for clNone).
  virtual void DrawModernCalendarClock(TcxCanvas* ACanvas, const TRect& ARect, TDateTime ADateTime,
                                       TColor ABackgroundColor, TdxScaleFactor* AScaleFactor);
  virtual void DrawModernCalendarDateCellSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                   const TcxCalendarElementStates& AStates);
  virtual void DrawModernCalendarDateHeaderSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                     const TcxCalendarElementStates& AStates);
  // A selected header makes the canvas font bold; nothing is drawn.
  virtual void DrawModernCalendarHeaderSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                 const TcxCalendarElementStates& AStates);
  virtual TColor GetModernCalendarCellTextColor(const TcxCalendarElementStates& AStates);
  virtual TColor GetModernCalendarDateHeaderTextColor(const TcxCalendarElementStates& AStates);
  virtual TColor GetModernCalendarHeaderTextColor(const TcxCalendarElementStates& AStates);
  virtual TRect GetModernCalendarHeaderTextOffsets();
  virtual TColor GetModernCalendarMarkedCellBorderColor();
  virtual TColor GetModernCalendarSelectedTextColor();
  virtual void DrawScaledModernCalendarArrow(TcxCanvas* ACanvas, const TRect& ARect,
                                             TcxArrowDirection ADirection, TcxCalendarElementState AState,
                                             TdxScaleFactor* AScaleFactor);
  // Anti-aliased hour, minute and second hands from the centre of ARect.
  virtual void DrawScaledModernClockHands(TcxCanvas* ACanvas, const TRect& ARect, TDateTime ADateTime,
                                          TColor AColor, TdxScaleFactor* AScaleFactor);

  // A pin, pushed in when ADown.
  void DrawPin(TcxCanvas* ACanvas, const TRect& R, TColor AColor, bool ADown);
  TRect AlertWindowButtonContentOffsets(TdxAlertWindowButtonKind AKind);
  TSize AlertWindowButtonGlyphSize(TdxAlertWindowButtonKind AKind);
  TRect AlertWindowContentOffsets();
  void DrawAlertWindowButton(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                             TdxAlertWindowButtonKind AKind, bool ADown = false);
  TRect GetGalleryGroupHeaderContentOffsets();
  void DrawModernClockHands(TcxCanvas* ACanvas, const TRect& ARect, TDateTime ADateTime, TColor AColor);

  // The range control's thumb: a framed opaque rectangle with a three-line grip.
  void DrawRangeControlThumb(TcxCanvas* ACanvas, const TRect& ARect, TColor AColor, TColor ABorderColor,
                             TdxScaleFactor* AScaleFactor);
  void DrawRangeControlLeftThumb(TcxCanvas* ACanvas, const TRect& ARect, TColor AColor, TColor ABorderColor);
  void DrawRangeControlRightThumb(TcxCanvas* ACanvas, const TRect& ARect, TColor AColor, TColor ABorderColor);
  void DrawRangeControlRulerHeader(TcxCanvas* ACanvas, const TRect& ARect, bool AIsHot, TdxAlphaColor AColor,
                                   TdxAlphaColor ABorderColor);
  void DrawRangeControlSizingGlyph(TcxCanvas* ACanvas, const TRect& ARect, TdxAlphaColor ABorderColor);
  int32_t GetRangeControlScrollAreaHeight();
  TSize GetRangeControlSizingGlyphSize();
  TSize GetRangeControlThumbSize();
  int32_t BreadcrumbEditButtonAreaSeparatorSize();
  TRect BreadcrumbEditButtonContentOffsets(bool AIsFirst, bool AIsLast);
  int32_t BreadcrumbEditDropDownButtonWidth();
  int32_t BreadcrumbEditNodeDelimiterSize();
  TRect BreadcrumbEditNodeTextOffsets();
  TSize BreadcrumbEditProgressChunkOverlaySize();
  TRect BreadcrumbEditProgressChunkPadding();
  void DrawBreadcrumbEditButton(TcxCanvas* ACanvas, const TRect& ARect, TdxBreadcrumbEditButtonState AState,
                                bool AIsFirst, bool AIsLast);
  void DrawBreadcrumbEditButtonAreaSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                             TdxBreadcrumbEditState AState);
  void DrawBreadcrumbEditDropDownButton(TcxCanvas* ACanvas, const TRect& ARect,
                                        TdxBreadcrumbEditButtonState AState, bool AIsInEditor);
  void DrawBreadcrumbEditDropDownButtonGlyph(TcxCanvas* ACanvas, const TRect& ARect,
                                             TdxBreadcrumbEditButtonState AState, bool AIsInEditor);
  void DrawBreadcrumbEditNode(TcxCanvas* ACanvas, const TRect& R, TdxBreadcrumbEditButtonState AState,
                              bool AHasDelimiter);
  void DrawBreadcrumbEditNodeDelimiter(TcxCanvas* ACanvas, const TRect& R,
                                       TdxBreadcrumbEditButtonState AState);
  void DrawBreadcrumbEditNodeDelimiterGlyph(TcxCanvas* ACanvas, const TRect& R,
                                            TdxBreadcrumbEditButtonState AState);
  void DrawBreadcrumbEditNodeMoreButtonGlyph(TcxCanvas* ACanvas, const TRect& R,
                                             TdxBreadcrumbEditButtonState AState);
  void DrawBreadcrumbEditProgressChunk(TcxCanvas* ACanvas, const TRect& R);
  void DrawBreadcrumbEditProgressChunkOverlay(TcxCanvas* ACanvas, const TRect& R);
  void DrawDropDownListBoxGutterBackground(TcxCanvas* ACanvas, const TRect& ARect);
  void DrawDropDownListBoxSelection(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGutterRect);
  void DrawDropDownListBoxSeparator(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGutterRect);
  TRect DropDownListBoxItemImageOffsets();
  TRect DropDownListBoxItemTextOffsets();
  int32_t DropDownListBoxSeparatorSize();
  void DrawRatingControlIndicator(TcxCanvas* ACanvas, const TRect& ABounds,
                                  TdxRatingControlIndicatorState AState);
  TSize GetRatingControlIndicatorSize();
  void DrawFixedGroupIndicator(TcxCanvas* ACanvas, const TRect& ABounds);
  TSize GetFixedGroupIndicatorSize();
  void DrawTokenBackground(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  void DrawTokenCloseGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  TSize GetTokenCloseGlyphSize();
  TRect GetTokenContentOffsets();
  TSize GetTokenDefaultGlyphSize();

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

// Start-up: the registry, the unit's primary palette notifier (its OnSystemPaletteChanged runs
// before every ordinary notifier), and RegisterAssistants through the units loader. Shut-down
// undoes it in reverse.
namespace cxLookAndFeelPainters {
void Initialize();
void Finalize();
// The unit's procedure pair in the units loader. Start-up registers the built-in painters (in
// the order Flat, Office11, Standard, UltraFlat, Native, as their classes join) and, inside a
// library module, recomputes the Office 11 colours; shut-down makes every registered painter
// drop its lazily loaded images and frees the shared glyph lists.
void RegisterAssistants();
void UnregisterAssistants();
// The unit's primary notifier; nullptr outside start-up and shut-down.
TcxSystemPaletteChangedNotifier* PrimaryPaletteNotifier();
}  // namespace cxLookAndFeelPainters

}  // namespace qd
