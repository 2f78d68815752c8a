#pragma once
// The skin painter: the painter interface answered from a skin. The skin is read from a
// "DXSKINS" resource the first time anything asks for the painter's skin information; every
// operation draws the element, reads the colour or derives the metric the skin information
// resolved, and hands the call to the Office11 painter when the skin lacks it.
#include <cstdint>
#include <memory>

#include "ui/lookandfeel/cxLookAndFeelPaintersOffice11.h"
#include "ui/skins/dxSkinInfo.h"

namespace qd {

class TcxBitmap32;

// The element states by push-button state, and the other small state maps of the painter.
inline constexpr TdxSkinElementState ButtonStateToSkinState[] = {esActive, esNormal, esHot, esPressed,
                                                                 esDisabled};
inline constexpr TdxSkinElementState BreadcrumbButtonStateToElementState[] = {esNormal, esFocused, esHot,
                                                                              esPressed, esDisabled};
inline constexpr TdxSkinElementState RatingControlIndicatorStateToSkinState[] = {esNormal, esActive, esHot};
inline constexpr TcxButtonState CalendarElementStateToButtonState[] = {
    cxbsNormal, cxbsHot, cxbsPressed, cxbsPressed, cxbsPressed, cxbsPressed, cxbsDisabled};
inline constexpr TdxSkinElementState CalendarElementStateToSkinElementState[] = {
    esNormal, esHot, esPressed, esFocused, esNormal, esNormal, esDisabled};
inline constexpr TdxSkinElementState LayoutViewRecordState[] = {esNormal, esNormal, esActive, esActive,
                                                                esActiveDisabled};
inline constexpr TdxSkinElementState ElementStateToSkinElementState[] = {
    esNormal, esHot, esPressed, esPressed, esNormal, esNormal, esDisabled};
inline constexpr TdxSkinElementState ExpandButtonStateToSkinState[] = {esNormal, esActive, esActiveDisabled};
inline constexpr int32_t ImageIndexMap[] = {0, 1, 2};  // by TcxCheckBoxState
// [down][TcxButtonState].
inline constexpr TdxSkinElementState AlertButtonStateToSkinState[2][5] = {
    {esNormal, esNormal, esHot, esPressed, esDisabled},
    {esChecked, esChecked, esHotCheck, esCheckPressed, esDisabled}};
// The glyph frame by TdxAlertWindowButtonKind (-1: none); the pin's frame is 2 when down.
inline constexpr int32_t GlyphsMap[] = {0, 1, 3, 4, 5, -1};
inline constexpr TdxSkinElementState MapElementStateToSkinElementState[] = {esNormal, esHot, esPressed,
                                                                            esPressed, esDisabled};

// Turns a 32-bit bitmap into its disabled look in place: every pixel's blue, green and red
// become (2 * alpha + blue + green + red) / 5; alpha stays.
void dxSkinElementMakeDisable(TcxBitmap32* ABitmap);

class TdxSkinLookAndFeelPainter : public TcxOffice11LookAndFeelPainter {
  QD_CLASS(TdxSkinLookAndFeelPainter, TcxOffice11LookAndFeelPainter)

 public:
  // Stores the resource name (within "DXSKINS") and the module; nothing is read. An empty
  // name makes a painter without a skin.
  TdxSkinLookAndFeelPainter(const String& ASkinResName, HINSTANCE ASkinResInstance);
  ~TdxSkinLookAndFeelPainter() override;

  using inherited::DrawContent;
  using inherited::DrawScaledCheckButton;
  using inherited::DrawScaledExpandButton;

  // --- New operations -------------------------------------------------------------------------

  // The caption band of a group box or layout-view record: the element in AState over
  // ACaptionRect; then, when the element's colour is valid, the text rectangle (grown by the
  // padding) filled with it inside the caption rectangle.
  virtual void DrawGroupCaption(TcxCanvas* ACanvas, const TRect& ACaptionRect, TdxSkinElementState AState,
                                TdxSkinIntegerProperty* ATextPadding, TdxSkinElement* AElement,
                                const TRect& ATextRect);
  // The class of skin information created on first use (a TdxSkinLookAndFeelPainterInfo).
  virtual TClass GetSkinInfoClass();
  // Widens an editor button's rectangle so that merged buttons share one border line.
  virtual void EditButtonAdjustRect(TRect& R, TcxEditBtnPosition APosition);
  virtual TColor BreadcrumbEditBordersColor(TdxBreadcrumbEditState AState);

  // The skin information, created (and the skin loaded) on the first call. A failed load
  // raises once; the information then stays without a skin and everything falls back.
  TdxSkinLookAndFeelPainterInfo* GetSkinInfo();
  TdxSkinDetails* GetSkinDetails();
  const String& SkinResName() const { return FSkinResName; }
  HINSTANCE SkinResInstance() const { return FSkinResInstance; }

  // --- Identity and details ---------------------------------------------------------------

  TcxLookAndFeelStyle LookAndFeelStyle() override;
  // The loaded skin's name (asking loads it); empty without a skin.
  String LookAndFeelName() override;
  // Only the details header of the stored skin; nullptr without a resource name.
  TObject* CreateLookAndFeelPainterDetails() override;
  TObject* GetLookAndFeelPainterDetails() override;
  bool GetPainterData(TObject*& AData) override;
  bool GetPainterDetails(TdxSkinDetails*& ADetails) override;

  // --- Whole-painter colours -------------------------------------------------------------------

  TColor DefaultContentColor() override;
  TColor DefaultContentEvenColor() override;
  TColor DefaultContentOddColor() override;
  TColor DefaultContentTextColor() override;
  TColor DefaultControlColor() override;
  TColor DefaultControlTextColor() override;
  TColor DefaultEditorBackgroundColorEx(TcxEditStateColorKind AKind) override;
  TColor DefaultEditorTextColorEx(TcxEditStateColorKind AKind) override;
  TColor DefaultHyperlinkTextColor() override;
  TColor DefaultPreviewTextColor() override;
  TColor DefaultInactiveColor() override;
  TColor DefaultInactiveTextColor() override;
  TColor DefaultSelectionColor() override;
  TColor DefaultSelectionTextColor() override;
  TColor DefaultTabTextColor() override;
  TColor DefaultSizeGripAreaColor() override;
  TColor GetWindowContentTextColor() override;
  void DrawWindowContent(TcxCanvas* ACanvas, const TRect& ARect) override;
  void DrawScrollBoxBackground(TcxCanvas* ACanvas, const TRect& R, TColor AColor) override;
  TColor LayoutControlEmptyAreaColor() override;
  void DrawLayoutControlBackground(TcxCanvas* ACanvas, const TRect& R) override;
  void GetBevelShapeColors(TColor& AColor1, TColor& AColor2) override;
  TSize GetBevelMinimalShapeSize(TdxBevelShape AShape) override;

  // --- Frames, containers and popups ------------------------------------------------------------

  void DrawBorder(TcxCanvas* ACanvas, const TRect& R) override;
  TColor GetContainerBorderColor(bool AIsHighlightBorder) override;
  int32_t GetContainerBorderWidth(TcxContainerBorderStyle ABorderStyle) override;
  void DrawContainerBorder(TcxCanvas* ACanvas, const TRect& R, TcxContainerBorderStyle AStyle, int32_t AWidth,
                           TColor AColor, const TcxBorders& ABorders) override;
  void DrawEditPopupWindowBorder(TcxCanvas* ACanvas, TRect& R, TcxEditPopupBorderStyle ABorderStyle,
                                 bool AClientEdge) override;
  int32_t GetEditPopupWindowBorderWidth(TcxEditPopupBorderStyle AStyle) override;
  int32_t GetEditPopupWindowClientEdgeWidth(TcxEditPopupBorderStyle AStyle) override;
  TColor GetColorGalleryGlyphFrameColor() override;

  // --- Buttons ---------------------------------------------------------------------------------

  void DrawScaledButton(TcxCanvas* ACanvas, const TRect& R, const String& ACaption, TcxButtonState AState,
                        TdxScaleFactor* AScaleFactor, bool ADrawBorder = true, TColor AColor = clDefault,
                        TColor ATextColor = clDefault, bool AWordWrap = false, bool AIsToolButton = false,
                        TcxButtonPart APart = cxbpButton) override;
  int32_t ButtonBorderSize(TcxButtonState AState = cxbsNormal) override;
  TColor ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor = clDefault) override;
  IdxColorPalettePtr ButtonColorPalette(TcxButtonState AState) override;
  IdxColorPalettePtr GetSmallButtonColorPalette(TcxButtonState AState) override;
  TColor ButtonDescriptionTextColor(TcxButtonState AState, TColor ADefaultColor) override;
  int32_t GetScaledDropDownButtonRightPartSize(TdxScaleFactor* AScaleFactor) override;
  void DrawScaledBackButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                            TdxScaleFactor* AScaleFactor) override;
  TSize GetScaledBackButtonSize(TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSmallButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                             TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSmallCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                  TdxScaleFactor* AScaleFactor) override;
  TSize DoGetSmallCloseButtonSize() override;
  void DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                              TdxScaleFactor* AScaleFactor, TColor AColor = clDefault,
                              TcxButtonState AState = cxbsNormal) override;
  void DrawScaledExpandButtonEx(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AExpanded,
                                TdxScaleFactor* AScaleFactor, TcxRotationAngle ARotationAngle = ra0) override;
  void DrawScaledSmallExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, TColor ABorderColor,
                                   TdxScaleFactor* AScaleFactor, TColor AColor = clDefault) override;
  int32_t ScaledExpandButtonSize(TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSliderButton(TcxCanvas* ACanvas, const TRect& ARect, TcxArrowDirection ADirection,
                              TcxButtonState AState, TdxScaleFactor* AScaleFactor) override;
  TSize ScaledSliderButtonSize(TcxArrowDirection ADirection, TdxScaleFactor* AScaleFactor) override;
  void DrawScaledZoomInButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                              TdxScaleFactor* AScaleFactor) override;
  void DrawScaledZoomOutButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                               TdxScaleFactor* AScaleFactor) override;
  TSize GetScaledZoomInButtonSize(TdxScaleFactor* AScaleFactor) override;
  TSize GetScaledZoomOutButtonSize(TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSearchEditButtonGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                       TdxScaleFactor* AScaleFactor) override;

  // --- Check boxes, radio buttons, toggle switches ----------------------------------------------

  void DrawScaledCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                             TcxCheckBoxState ACheckState, TdxScaleFactor* AScaleFactor) override;
  TSize ScaledCheckButtonSize(TdxScaleFactor* AScaleFactor) override;
  void DrawScaledRadioButton(TcxCanvas* ACanvas, int32_t X, int32_t Y, TcxButtonState AButtonState,
                             bool AChecked, bool AFocused, TColor ABrushColor, TdxScaleFactor* AScaleFactor,
                             bool AIsDesigning = false) override;
  TSize ScaledRadioButtonSize(TdxScaleFactor* AScaleFactor) override;
  TPoint ScaledFilterActivateButtonSize(TdxScaleFactor* AScaleFactor) override;
  void DrawScaledToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                   bool AChecked, TdxScaleFactor* AScaleFactor) override;
  void DrawScaledToggleSwitchThumb(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                   TdxScaleFactor* AScaleFactor) override;
  int32_t GetToggleSwitchThumbPercentsWidth() override;
  TColor GetToggleSwitchTextColor() override;
  IdxColorPalettePtr GetToggleSwitchColorPalette() override;

  // --- Scroll bars, size grips and splitters ----------------------------------------------------

  void DrawScaledScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TRect& R, TcxScrollBarPart APart,
                               TcxButtonState AState, TdxScaleFactor* AScaleFactor) override;
  void DrawScaledScrollBarBackground(TcxCanvas* ACanvas, const TRect& R, bool AHorizontal,
                                     TdxScaleFactor* AScaleFactor) override;
  int32_t ScaledScrollBarMinimalThumbSize(bool AVertical, TdxScaleFactor* AScaleFactor) override;
  void DrawScaledScrollBarSplitter(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                   TdxScaleFactor* AScaleFactor) override;
  void DoDrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect, TdxScaleFactor* AScaleFactor) override;
  TSize ScaledSizeGripSize(TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSplitter(TcxCanvas* ACanvas, const TRect& ARect, bool AHighlighted, bool AClicked,
                          bool AHorizontal, TdxScaleFactor* AScaleFactor, bool AHasCloseMark = false,
                          TcxArrowDirection AArrowDirection = adLeft) override;
  TSize GetScaledSplitterSize(bool AHorizontal, TdxScaleFactor* AScaleFactor) override;

  // --- Editor buttons and calculator -------------------------------------------------------------

  void DrawScaledEditorButton(TcxCanvas* ACanvas, const TRect& ARect, TcxEditBtnKind AButtonKind,
                              TcxButtonState AState, TdxScaleFactor* AScaleFactor,
                              TcxEditBtnPosition APosition = cxbpRight) override;
  void DrawScaledEditorButtonGlyph(TcxCanvas* ACanvas, const TRect& ARect, TcxEditBtnKind AButtonKind,
                                   TcxButtonState AState, TdxScaleFactor* AScaleFactor,
                                   TcxEditBtnPosition APosition = cxbpRight) override;
  IdxColorPalettePtr EditButtonColorPalette(TcxButtonState AState) override;
  TSize EditButtonSize() override;
  TColor EditButtonTextColor() override;
  int32_t EditButtonTextOffset() override;
  TColor CalcEditButtonTextColor(TcxCalcButtonKind AButtonKind) override;
  void DrawScaledFilterCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                   TdxScaleFactor* AScaleFactor) override;
  TPoint ScaledFilterCloseButtonSize(TdxScaleFactor* AScaleFactor) override;

  // --- Drop-down lists ---------------------------------------------------------------------------

  int32_t DropDownListBoxBordersSize() override;
  void DrawDropDownListBoxBackground(TcxCanvas* ACanvas, const TRect& ARect, bool AHasBorders) override;
  void DrawDropDownListBoxScaledGutterBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                 TdxScaleFactor* AScaleFactor) override;
  void DrawDropDownListBoxScaledSelection(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGutterRect,
                                          TdxScaleFactor* AScaleFactor) override;
  void DrawDropDownListBoxScaledSeparator(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGutterRect,
                                          TdxScaleFactor* AScaleFactor) override;
  int32_t DropDownListBoxScaledSeparatorSize(TdxScaleFactor* AScaleFactor) override;
  TColor DropDownListBoxItemTextColor(bool ASelected) override;
  TRect DropDownListBoxScaledItemTextOffsets(TdxScaleFactor* AScaleFactor) override;
  TRect DropDownListBoxScaledItemImageOffsets(TdxScaleFactor* AScaleFactor) override;
  IdxColorPalettePtr FilterControlMenuGetColorPalette() override;

  // --- Label lines, progress bars, track bars, rating, tokens, wheel pickers --------------------

  void DrawLabelLine(TcxCanvas* ACanvas, const TRect& R, TColor AOuterColor, TColor AInnerColor,
                     bool AIsVertical) override;
  int32_t LabelLineHeight() override;
  void DoDrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool AIsVertical) override;
  int32_t SeparatorSize() override;
  void DrawProgressBarBorder(TcxCanvas* ACanvas, const TRect& ARect, bool AVertical) override;
  void DrawProgressBarChunk(TcxCanvas* ACanvas, const TRect& ARect, bool AVertical) override;
  TRect ProgressBarBorderSize(bool AVertical) override;
  TColor ProgressBarTextColorEx(bool AIsFilledArea) override;
  void DrawTrackBarScaledTrack(TcxCanvas* ACanvas, const TRect& ARect, const TRect& ASelection,
                               bool AShowSelection, bool AEnabled, bool AHorizontal, TColor ATrackColor,
                               TdxScaleFactor* AScaleFactor) override;
  void DrawTrackBarScaledThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                               bool AHorizontal, TcxTrackBarTicksAlign ATicks, TColor AThumbColor,
                               TdxScaleFactor* AScaleFactor) override;
  TSize TrackBarScaledThumbSize(bool AHorizontal, TdxScaleFactor* AScaleFactor) override;
  int32_t TrackBarScaledTrackSize(TdxScaleFactor* AScaleFactor) override;
  TColor TrackBarTicksColor(bool AText) override;
  void DrawRatingControlScaledIndicator(TcxCanvas* ACanvas, const TRect& ABounds,
                                        TdxRatingControlIndicatorState AState,
                                        TdxScaleFactor* AScaleFactor) override;
  IdxColorPalettePtr GetRatingControlIndicatorColorPalette(TdxRatingControlIndicatorState AState) override;
  TSize GetRatingControlScaledIndicatorSize(TdxScaleFactor* AScaleFactor) override;
  void DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                 TdxScaleFactor* AScaleFactor) override;
  IdxColorPalettePtr GetTokenColorPalette(TcxButtonState AState) override;
  TColor GetTokenTextColor(TcxButtonState AState) override;
  void DrawWheelPickerItem(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState) override;
  IdxColorPalettePtr GetWheelPickerColorPalette(TcxButtonState AState) override;

  // --- Group boxes and panels --------------------------------------------------------------------

  void DrawGroupBoxContent(TcxCanvas* ACanvas, const TRect& ABorderRect,
                           TcxGroupBoxCaptionPosition ACaptionPosition,
                           const TcxBorders& ABorders = cxBordersAll) override;
  void DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool AEnabled,
                         TcxGroupBoxCaptionPosition ACaptionPosition,
                         const TcxBorders& ABorders = cxBordersAll) override;
  void DrawGroupBoxCaption(TcxCanvas* ACanvas, const TRect& ACaptionRect, const TRect& ATextRect,
                           TcxGroupBoxCaptionPosition ACaptionPosition) override;
  void DrawGroupBoxBackground(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ARect) override;
  TRect GroupBoxBorderSize(bool ACaption, TcxGroupBoxCaptionPosition ACaptionPosition) override;
  int32_t GroupBoxCaptionTailSize(TcxGroupBoxCaptionPosition ACaptionPosition) override;
  TColor GroupBoxTextColor(bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition) override;
  void GroupBoxAdjustCaptionFont(TFont* ACaptionFont, TcxGroupBoxCaptionPosition ACaptionPosition) override;
  bool IsGroupBoxCaptionTextDrawnOverBorder(TcxGroupBoxCaptionPosition ACaptionPosition) override;
  bool IsGroupBoxTransparent(bool AIsCaption, TcxGroupBoxCaptionPosition ACaptionPosition) override;
  void DrawGroupBoxScaledButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                TdxScaleFactor* AScaleFactor) override;
  void DrawGroupBoxScaledExpandGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                     bool AExpanded, TdxScaleFactor* AScaleFactor) override;
  void DrawGroupBoxScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                      bool AExpanded, TdxScaleFactor* AScaleFactor,
                                      TcxRotationAngle ARotationAngle = ra0) override;
  void DrawPanelContent(TcxCanvas* ACanvas, const TRect& ARect, bool ADrawBorders) override;
  void DrawPanelBorders(TcxCanvas* ACanvas, const TRect& ABorderRect) override;
  TRect PanelBorderSize() override;
  TColor PanelTextColor() override;

  // --- Hints and screen tips ---------------------------------------------------------------------

  void DrawHintBackground(TcxCanvas* ACanvas, const TRect& ARect, TColor AColor = clDefault) override;
  TColor GetHintBorderColor() override;
  void ScreenTipDrawBackground(TcxCanvas* ACanvas, const TRect& ARect) override;
  void ScreenTipDrawFooterLine(TcxCanvas* ACanvas, const TRect& ARect) override;
  int32_t ScreenTipGetFooterLineSize() override;
  IdxColorPalettePtr ScreenTipGetColorPalette() override;
  TColor ScreenTipGetDescriptionTextColor() override;
  TColor ScreenTipGetTitleTextColor() override;

  // --- Breadcrumb editors ----------------------------------------------------------------------------

  TColor BreadcrumbEditBackgroundColor(TdxBreadcrumbEditState AState) override;
  void DrawBreadcrumbEditBorders(TcxCanvas* ACanvas, const TRect& ARect, const TcxBorders& ABorders,
                                 TdxBreadcrumbEditState AState) override;
  void DrawBreadcrumbEditScaledButton(TcxCanvas* ACanvas, const TRect& ARect,
                                      TdxBreadcrumbEditButtonState AState, bool AIsFirst, bool AIsLast,
                                      TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledDropDownButton(TcxCanvas* ACanvas, const TRect& ARect,
                                              TdxBreadcrumbEditButtonState AState, bool AIsInEditor,
                                              TdxScaleFactor* AScaleFactor) override;
  TRect BreadcrumbEditScaledButtonContentOffsets(bool AIsFirst, bool AIsLast,
                                                 TdxScaleFactor* AScaleFactor) override;
  int32_t BreadcrumbEditScaledButtonAreaSeparatorSize(TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledButtonAreaSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                   TdxBreadcrumbEditState AState,
                                                   TdxScaleFactor* AScaleFactor) override;
  IdxColorPalettePtr BreadcrumbEditButtonColorPalette(TdxBreadcrumbEditButtonState AState) override;
  int32_t BreadcrumbEditScaledDropDownButtonWidth(TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledDropDownButtonGlyph(TcxCanvas* ACanvas, const TRect& ARect,
                                                   TdxBreadcrumbEditButtonState AState, bool AIsInEditor,
                                                   TdxScaleFactor* AScaleFactor) override;
  bool BreadcrumbEditIsFadingSupports() override;
  TColor BreadcrumbEditNodeTextColor(TdxBreadcrumbEditButtonState AState) override;
  TRect BreadcrumbEditScaledNodeTextOffsets(TdxScaleFactor* AScaleFactor) override;
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
  TRect BreadcrumbEditScaledProgressChunkPadding(TdxScaleFactor* AScaleFactor) override;
  TSize BreadcrumbEditScaledProgressChunkOverlaySize(TdxScaleFactor* AScaleFactor) override;

  // --- Range track bars ----------------------------------------------------------------------------

  TSize RangeTrackBarScaledLeftThumbSize(bool AHorizontal, TcxTrackBarTicksAlign ATicks,
                                         TdxScaleFactor* AScaleFactor) override;
  TSize RangeTrackBarScaledRightThumbSize(bool AHorizontal, TcxTrackBarTicksAlign ATicks,
                                          TdxScaleFactor* AScaleFactor) override;
  void DrawRangeTrackBarScaledLeftThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                        bool AHorizontal, TcxTrackBarTicksAlign ATicks, TColor AThumbColor,
                                        TdxScaleFactor* AScaleFactor) override;
  void DrawRangeTrackBarScaledRightThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                         bool AHorizontal, TcxTrackBarTicksAlign ATicks, TColor AThumbColor,
                                         TdxScaleFactor* AScaleFactor) override;

  // --- Alert windows ---------------------------------------------------------------------------------

  TRect AlertWindowScaledButtonContentOffsets(TdxAlertWindowButtonKind AKind,
                                              TdxScaleFactor* AScaleFactor) override;
  void DrawAlertWindowScaledButton(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                   TdxAlertWindowButtonKind AKind, TdxScaleFactor* AScaleFactor,
                                   bool ADown = false) override;
  void DrawAlertWindowBackground(TcxCanvas* ACanvas, const TRect& ABounds,
                                 TdxScaleFactor* AScaleFactor) override;
  TRect AlertWindowScaledContentOffsets(TdxScaleFactor* AScaleFactor) override;
  int32_t AlertWindowCornerRadius() override;
  TColor AlertWindowTextColor() override;
  TColor AlertWindowNavigationPanelTextColor() override;
  void DrawAlertWindowNavigationPanel(TcxCanvas* ACanvas, const TRect& ABounds) override;

  // --- Calendars and date navigators -----------------------------------------------------------------

  void DrawScaledModernCalendarArrow(TcxCanvas* ACanvas, const TRect& ARect, TcxArrowDirection ADirection,
                                     TcxCalendarElementState AState, TdxScaleFactor* AScaleFactor) override;
  void DrawModernCalendarDateCellSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                           const TcxCalendarElementStates& AStates) override;
  void DrawModernCalendarHeaderSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                         const TcxCalendarElementStates& AStates) override;
  void DrawModernCalendarDateHeaderSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                             const TcxCalendarElementStates& AStates) override;
  TColor GetModernCalendarCellTextColor(const TcxCalendarElementStates& AStates) override;
  TColor GetModernCalendarDateHeaderTextColor(const TcxCalendarElementStates& AStates) override;
  TColor GetModernCalendarHeaderTextColor(const TcxCalendarElementStates& AStates) override;
  TRect GetModernCalendarHeaderTextOffsets() override;
  void DrawCalendarDateCellSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                     const TcxCalendarElementStates& AStates) override;
  void DrawDateNavigatorCellSelection(TcxCanvas* ACanvas, const TRect& R, TColor AColor) override;
  void DrawDateNavigatorTodayCellSelection(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, TRect& R) override;
  TColor DefaultDateNavigatorHeaderColor() override;
  TColor DefaultDateNavigatorHeaderTextColor(bool AIsHighlight) override;
  TColor DefaultDateNavigatorTextColor() override;
  TColor DefaultDateNavigatorHolydayTextColor() override;
  TColor DefaultDateNavigatorInactiveTextColor() override;
  TColor DefaultDateNavigatorSelectionColor() override;
  TColor DefaultDateNavigatorSelectionTextColor() override;
  TColor DefaultDateNavigatorSeparator1Color() override;
  TColor DefaultDateNavigatorSeparator2Color() override;
  TColor DefaultDateNavigatorTodayFrameColor() override;
  TColor DefaultDateNavigatorTodayTextColor(bool ASelected) override;

  // --- Grids: colours, headers, sorting marks, indicators, footers and filters ---------------------------

  TColor DefaultGridLineColor() override;
  TColor DefaultFixedSeparatorColor() override;
  TColor DefaultRecordSeparatorColor() override;
  TColor DefaultSeparatorColor() override;
  TColor FooterSeparatorColor() override;
  TColor DefaultGroupColor() override;
  TColor DefaultGroupTextColor() override;
  TRect DefaultGroupContentOffsets() override;
  TColor DefaultGroupByBoxTextColor() override;
  TColor DefaultHeaderColor() override;
  TColor DefaultHeaderTextColor() override;
  TColor DefaultHeaderBackgroundColor() override;
  TColor DefaultHeaderBackgroundTextColor() override;
  TColor DefaultFooterColor() override;
  TColor DefaultFooterTextColor() override;
  TColor DefaultFilterBoxTextColor() override;
  TColor DefaultGridDetailsSiteColor() override;
  TColor GridGroupRowStyleOffice11ContentColor(bool AHasData) override;
  TColor GridGroupRowStyleOffice11SeparatorColor() override;
  TColor GridGroupRowStyleOffice11TextColor() override;
  TColor DefaultTreeListGridLineColor() override;
  TColor DefaultTreeListTreeLineColor() override;
  TColor PivotGridHeadersAreaColor() override;
  TColor PivotGridHeadersAreaTextColor() override;
  TColor DefaultGridOptionsTreeViewCategoryColor(bool ASelected) override;
  TColor DefaultGridOptionsTreeViewCategoryTextColor(bool ASelected) override;
  TColor GetCustomizationFormListBackgroundColor() override;
  TColor GridLikeControlContentColor() override;
  TColor GridLikeControlContentEvenColor() override;
  TColor GridLikeControlContentOddColor() override;
  TColor GridLikeControlContentTextColor() override;
  TColor GridLikeControlBackgroundColor() override;
  void DrawHeaderSeparator(TcxCanvas* ACanvas, const TRect& ABounds, int32_t AIndentSize, TColor AColor,
                           const TcxViewParams& AViewParams) override;
  void DrawFilterRowSeparator(TcxCanvas* ACanvas, const TRect& ARect, TColor ABackgroundColor) override;
  void DrawScaledSummaryValueSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                         TdxScaleFactor* AScaleFactor) override;
  TPoint ScaledSummaryValueSortingMarkSize(TdxScaleFactor* AScaleFactor) override;
  void DrawScaledIndicatorCustomizationMark(TcxCanvas* ACanvas, const TRect& R, TColor AColor,
                                            TdxScaleFactor* AScaleFactor) override;
  void DrawScaledIndicatorItem(TcxCanvas* ACanvas, const TRect& R, const TRect& AImageAreaBounds,
                               TcxIndicatorKind AKind, TColor AColor, TdxScaleFactor* AScaleFactor,
                               const TcxDrawBackgroundEvent& AOnDrawBackground,
                               const TcxNeighbors& ANeighbors) override;
  void DrawScaledIndicatorItemEx(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind, TColor AColor,
                                 TdxScaleFactor* AScaleFactor,
                                 const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr) override;
  void DrawFooterContent(TcxCanvas* ACanvas, const TRect& ARect, const TcxViewParams& AViewParams) override;
  void DrawFooterBorderEx(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders) override;
  void DrawFooterCellContent(TcxCanvas* ACanvas, const TRect& ABounds, TAlignment AAlignmentHorz,
                             TcxAlignmentVert AAlignmentVert, bool AMultiLine, const String& AText,
                             TFont* AFont, TColor ATextColor, TColor ABkColor,
                             const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr) override;
  void DrawScaledHeaderEx(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                          const TcxNeighbors& ANeighbors, const TcxBorders& ABorders, TcxButtonState AState,
                          TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                          bool AShowEndEllipsis, const String& AText, TFont* AFont, TColor ATextColor,
                          TColor ABkColor, TdxScaleFactor* AScaleFactor,
                          const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr) override;
  void DrawScaledHeaderControlSection(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                                      const TcxNeighbors& ANeighbors, const TcxBorders& ABorders,
                                      TcxButtonState AState, TAlignment AAlignmentHorz,
                                      TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                                      const String& AText, TFont* AFont, TColor ATextColor, TColor ABkColor,
                                      TdxScaleFactor* AScaleFactor) override;
  bool GridDrawHeaderCellsFirst() override;
  int32_t GridBordersOverlapSize() override;
  void DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                             TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                    TdxScaleFactor* AScaleFactor) override;
  TPoint ScaledSummarySortingMarkSize(TdxScaleFactor* AScaleFactor) override;
  void DrawScaledIndicatorImage(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind,
                                TdxScaleFactor* AScaleFactor) override;
  bool IndicatorDrawItemsFirst() override;
  void DrawFooterCellBorder(TcxCanvas* ACanvas, const TRect& R) override;
  int32_t FooterCellBorderSize() override;
  bool FooterDrawCellsFirst() override;
  void DrawFilterPanel(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent, TColor ABackgroundColor,
                       TGraphic* ABackgroundBitmap) override;
  void DrawScaledFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                      bool AIsFilterActive, TdxScaleFactor* AScaleFactor) override;
  void DrawScaledFilterSmartTag(TcxCanvas* ACanvas, const TRect& R, TcxFilterSmartTagState AState,
                                bool AIsFilterActive, TdxScaleFactor* AScaleFactor) override;
  TSize ScaledFilterSmartTagSize(TdxScaleFactor* AScaleFactor) override;
  void DrawGroupByBox(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent, TColor ABackgroundColor,
                      TBitmap* ABackgroundBitmap) override;

  // --- Vertical grids, spreadsheets, schedulers, data navigators, galleries, print previews, maps ------

  TColor DefaultVGridCategoryColor() override;
  TColor DefaultVGridCategoryTextColor() override;
  TColor DefaultVGridHeaderColor() override;
  TColor DefaultVGridHeaderTextColor() override;
  TColor DefaultVGridLineColor() override;
  TColor DefaultVGridBandLineColor() override;
  TColor DefaultVGridContentColor() override;
  TColor DefaultVGridContentEvenColor() override;
  TColor DefaultVGridContentOddColor() override;
  TColor SpreadSheetContentColor() override;
  TColor SpreadSheetContentTextColor() override;
  TColor SpreadSheetFrozenPaneSeparatorColor() override;
  TColor SpreadSheetGroupLineColor() override;
  TColor SpreadSheetSelectionColor() override;
  TColor DefaultSchedulerBackgroundColor() override;
  TColor DefaultSchedulerControlColor() override;
  TColor DefaultSchedulerBorderColor() override;
  TColor DefaultSchedulerNavigatorColor() override;
  TColor DefaultSchedulerContentColor(int32_t AResourceIndex) override;
  TColor DefaultSchedulerEventColor(bool AIsAllDayEvent) override;
  TColor DefaultSchedulerEventColorClassic(bool AIsAllDayEvent) override;
  TColor DefaultSchedulerViewTextColor() override;
  TColor DefaultSchedulerViewSelectedTextColor() override;
  TColor DefaultSchedulerDayHeaderColor() override;
  TColor DefaultSchedulerDayHeaderTextColor() override;
  TColor DefaultSchedulerTimeRulerColor() override;
  TColor DefaultSchedulerTimeRulerTextColorClassic() override;
  TColor DefaultSchedulerYearViewUnusedContentColor(bool AIsWorkTime) override;
  TColor DefaultSchedulerHeaderContainerTextColor(bool ASelected) override;
  TColor DefaultSchedulerDateNavigatorArrowColor(bool AIsHighlight) override;
  TColor DefaultTimeGridMajorScaleTextColor() override;
  TColor DefaultTimeGridMinorScaleTextColor() override;
  void DrawSchedulerDayHeader(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                              const TcxNeighbors& ANeighbors, const TcxBorders& ABorders,
                              TcxButtonState AState, TAlignment AAlignmentHorz,
                              TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                              const String& AText, TFont* AFont, TColor ATextColor, TColor ABkColor,
                              TdxScaleFactor* AScaleFactor,
                              const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr, bool AIsLast = false,
                              bool AIsGroup = false) override;
  void DrawSchedulerEventProgress(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& AProgress,
                                  const TcxViewParams& AViewParams, bool ATransparent) override;
  TRect SchedulerEventProgressOffsets() override;
  void DrawSchedulerGroup(TcxCanvas* ACanvas, const TRect& R, TColor AColor) override;
  void DrawSchedulerScaledGroupSeparator(TcxCanvas* ACanvas, const TRect& ABounds, TColor ABackgroundColor,
                                         TdxScaleFactor* AScaleFactor,
                                         const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr) override;
  void DrawSchedulerMilestone(TcxCanvas* ACanvas, const TRect& R) override;
  void SchedulerNavigationButtonSizes(bool AIsNextButton, TRect& ABorders, TSize& AArrowSize,
                                      bool& AHasTextArea, TdxScaleFactor* AScaleFactor,
                                      bool AIsVertical) override;
  using inherited::CalculateSchedulerNavigationButtonRects;
  void CalculateSchedulerNavigationButtonRects(bool AIsNextButton, bool ACollapsed,
                                               int32_t APrevButtonTextSize, int32_t ANextButtonTextSize,
                                               TRect& ABounds, TRect& ATextRect, TRect& AArrowRect,
                                               TdxScaleFactor* AScaleFactor, bool AIsVertical) override;
  void DrawSchedulerNavigationButtonContent(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AArrowRect,
                                            bool AIsNextButton, TcxButtonState AState,
                                            bool AIsVertical) override;
  TColor SchedulerNavigationButtonTextColor(bool AIsNextButton, TcxButtonState AState,
                                            TColor ADefaultColor) override;
  void DrawSpreadSheetScaledHeader(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                                   const TcxNeighbors& ANeighbors, const TcxBorders& ABorders,
                                   TcxButtonState AState, TAlignment AAlignmentHorz,
                                   TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                                   const String& AText, TFont* AFont, TColor ATextColor, TColor ABkColor,
                                   TdxScaleFactor* AScaleFactor,
                                   const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr,
                                   bool AIsLast = false, bool AIsGroup = false) override;
  TRect SpreadSheetScaledGroupExpandButtonContentOffsets(TdxScaleFactor* AScaleFactor) override;
  TColor SpreadSheetGroupExpandButtonTextColor(TcxButtonState AState) override;
  void DrawSpreadSheetScaledGroupExpandButtonGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                   bool AExpanded, TdxScaleFactor* AScaleFactor,
                                                   TCustomImageList* ADefaultGlyphs) override;
  void DrawSpreadSheetFormulaBarScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                   bool AExpanded, TdxScaleFactor* AScaleFactor) override;
  void DrawSpreadSheetFormulaBarScaledSeparator(TcxCanvas* ACanvas, const TRect& R,
                                                TdxScaleFactor* AScaleFactor) override;
  void DrawNavigatorScaledButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                 TColor ABackgroundColor, TdxScaleFactor* AScaleFactor) override;
  TRect NavigatorScaledButtonGlyphPadding(TdxScaleFactor* AScaleFactor) override;
  TColor NavigatorButtonTextColor(TcxButtonState AState) override;
  IdxColorPalettePtr NavigatorButtonColorPalette(bool AEnabled) override;
  TSize NavigatorScaledButtonGlyphSize(TdxScaleFactor* AScaleFactor) override;
  bool NavigatorBorderOverlap() override;
  TPoint NavigatorButtonPressedGlyphOffset() override;
  TColor NavigatorInfoPanelColor() override;
  TColor NavigatorInfoPanelTextColor() override;
  void DrawNavigatorBorder(TcxCanvas* ACanvas, const TRect& R, bool ASelected) override;
  void DrawGalleryBackground(TcxCanvas* ACanvas, const TRect& ABounds) override;
  void DrawGalleryGroupHeader(TcxCanvas* ACanvas, const TRect& ABounds) override;
  void DrawGalleryItemImageFrame(TcxCanvas* ACanvas, const TRect& R) override;
  TColor GetGalleryGroupTextColor() override;
  TColor GetGalleryItemCaptionTextColor(TcxButtonState AState) override;
  bool DrawGalleryItemSelectionFirst() override;
  TRect GetGalleryScaledGroupHeaderContentOffsets(TdxScaleFactor* AScaleFactor) override;
  TColor GetGalleryItemDescriptionTextColor(TcxButtonState AState) override;
  IdxColorPalettePtr GetGalleryItemColorPalette(TcxButtonState AState) override;
  void DrawPrintPreviewScaledBackground(TcxCanvas* ACanvas, const TRect& R,
                                        TdxScaleFactor* AScaleFactor) override;
  TColor MapControlBackgroundColor() override;
  TColor PrintPreviewBackgroundTextColor() override;
  void DrawPrintPreviewPageScaledBackground(TcxCanvas* ACanvas, const TRect& ABorderRect,
                                            const TRect& AContentRect, bool ASelected, bool ADrawContent,
                                            TdxScaleFactor* AScaleFactor) override;
  TRect PrintPreviewPageBordersScaledWidth(TdxScaleFactor* AScaleFactor) override;
  void PDFViewerDrawNavigationPaneBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                             TdxScaleFactor* AScaleFactor) override;
  TRect PDFViewerNavigationPaneContentOffsets(TdxScaleFactor* AScaleFactor) override;
  void PDFViewerDrawNavigationPaneButton(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                         TdxScaleFactor* AScaleFactor, bool AMinimized, bool ASelected,
                                         bool AIsFirst) override;
  TSize PDFViewerNavigationPaneButtonSize(TdxScaleFactor* AScaleFactor) override;
  TRect PDFViewerNavigationPaneButtonContentOffsets(TdxScaleFactor* AScaleFactor) override;
  IdxColorPalettePtr PDFViewerNavigationPaneButtonColorPalette(TcxButtonState AState) override;
  TPoint PDFViewerNavigationPaneButtonOverlay(TdxScaleFactor* AScaleFactor) override;
  void PDFViewerDrawNavigationPanePageBackground(TcxCanvas* ACanvas, const TRect& ARect) override;
  TRect PDFViewerNavigationPanePageContentOffsets(TdxScaleFactor* AScaleFactor) override;
  void PDFViewerDrawNavigationPanePageButton(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                             TdxScaleFactor* AScaleFactor) override;
  void PDFViewerDrawNavigationPanePageCaptionBackground(TcxCanvas* ACanvas, const TRect& ARect) override;
  TRect PDFViewerNavigationPanePageCaptionContentOffsets(TdxScaleFactor* AScaleFactor) override;
  TColor PDFViewerNavigationPanePageCaptionTextColor() override;
  void PDFViewerDrawNavigationPanePageToolbarBackground(TcxCanvas* ACanvas, const TRect& ARect) override;
  TRect PDFViewerNavigationPanePageToolbarContentOffsets(TdxScaleFactor* AScaleFactor) override;
  void PDFViewerDrawFindPanelBackground(TcxCanvas* ACanvas, const TRect& R,
                                        const TcxBorders& ABorders) override;
  TColor PDFViewerSelectionColor() override;
  void PDFViewerDrawPageThumbnailPreviewBackground(TcxCanvas* ACanvas, const TRect& ARect) override;
  void DrawMapCustomElementBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                      TdxMapControlElementState AState) override;
  void DrawMapPushpin(TcxCanvas* ACanvas, const TRect& ARect, TdxMapControlElementState AState,
                      TdxScaleFactor* AScaleFactor) override;
  TSize MapControlGetMapPushpinSize(TdxScaleFactor* AScaleFactor) override;
  TdxAlphaColor MapControlPanelBackColor() override;
  TdxAlphaColor MapControlPanelHotTrackedTextColor() override;
  TdxAlphaColor MapControlPanelPressedTextColor() override;
  TdxAlphaColor MapControlPanelTextColor() override;
  TdxAlphaColor MapControlSelectedRegionBackgroundColor() override;
  TdxAlphaColor MapControlSelectedRegionBorderColor() override;
  TdxAlphaColor MapControlShapeColor() override;
  TdxAlphaColor MapControlShapeHighlightedColor() override;
  TdxAlphaColor MapControlShapeSelectedColor() override;
  TdxAlphaColor MapControlShapeBorderColor() override;
  TdxAlphaColor MapControlShapeBorderHighlightedColor() override;
  TdxAlphaColor MapControlShapeBorderSelectedColor() override;
  int32_t MapControlShapeBorderWidth(TdxScaleFactor* AScaleFactor) override;
  int32_t MapControlShapeBorderHighlightedWidth(TdxScaleFactor* AScaleFactor) override;
  int32_t MapControlShapeBorderSelectedWidth(TdxScaleFactor* AScaleFactor) override;
  TPoint MapControlGetMapPushpinTextOrigin(TdxScaleFactor* AScaleFactor) override;
  TRect MapControlMapCustomElementSelectionOffset(TdxScaleFactor* AScaleFactor) override;
  TdxAlphaColor MapControlMapCustomElementTextColor() override;
  TdxAlphaColor MapControlMapPushpinTextColor() override;
  TdxAlphaColor MapControlMapCustomElementTextGlowColor() override;
  TdxAlphaColor MapControlMapPushpinTextGlowColor() override;

  // --- Range controls, month headers, clocks, gauges, charts, layout controls and rich editors ----------

  void DrawRangeControlScaledLeftThumb(TcxCanvas* ACanvas, const TRect& ARect, TColor AColor,
                                       TColor ABorderColor, TdxScaleFactor* AScaleFactor) override;
  void DrawRangeControlScaledRightThumb(TcxCanvas* ACanvas, const TRect& ARect, TColor AColor,
                                        TColor ABorderColor, TdxScaleFactor* AScaleFactor) override;
  void DrawRangeControlScaledRulerHeader(TcxCanvas* ACanvas, const TRect& ARect, bool AIsHot,
                                         TdxAlphaColor AColor, TdxAlphaColor ABorderColor,
                                         TdxScaleFactor* AScaleFactor) override;
  void DrawRangeControlScaledSizingGlyph(TcxCanvas* ACanvas, const TRect& ARect, TdxAlphaColor ABorderColor,
                                         TdxScaleFactor* AScaleFactor) override;
  TSize GetRangeControlScaledThumbSize(TdxScaleFactor* AScaleFactor) override;
  TSize GetRangeControlScaledSizingGlyphSize(TdxScaleFactor* AScaleFactor) override;
  int32_t GetRangeControlScaledScrollAreaHeight(TdxScaleFactor* AScaleFactor) override;
  TColor GetRangeControlBorderColor() override;
  TColor GetRangeControlBackColor() override;
  TdxAlphaColor GetRangeControlElementsBorderColor() override;
  TdxAlphaColor GetRangeControlOutOfRangeColor() override;
  TdxAlphaColor GetRangeControlRulerColor() override;
  TdxAlphaColor GetRangeControlSelectedRegionBackgroundColor() override;
  TdxAlphaColor GetRangeControlSelectedRegionBorderColor() override;
  TColor GetRangeControlDefaultElementColor() override;
  TColor GetRangeControlElementForeColor() override;
  TColor GetRangeControlLabelColor() override;
  TColor GetRangeControlRangePreviewColor() override;
  TColor GetRangeControlScrollAreaColor() override;
  TColor GetRangeControlViewPortPreviewColor() override;
  void DrawScaledMonthHeader(TcxCanvas* ACanvas, const TRect& ABounds, const String& AText,
                             const TcxNeighbors& ANeighbors, const TcxViewParams& AViewParams,
                             const TcxArrowDirections& AArrows, int32_t ASideWidth,
                             TdxScaleFactor* AScaleFactor,
                             const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr) override;
  TSize ScaledClockSize(TdxScaleFactor* AScaleFactor) override;
  void DrawScaledClock(TcxCanvas* ACanvas, const TRect& ARect, TDateTime ADateTime, TColor ABackgroundColor,
                       TdxScaleFactor* AScaleFactor) override;
  TColor GaugeControlBackgroundColor() override;
  void DrawGaugeControlBackground(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent,
                                  TColor ABackgroundColor) override;
  TColor DefaultChartHistogramPlotColor() override;
  IdxColorPalettePtr LayoutControlGetColorPaletteForGroupButton(TcxButtonState AState) override;
  IdxColorPalettePtr LayoutControlGetColorPaletteForItemCaption() override;
  IdxColorPalettePtr LayoutControlGetColorPaletteForTabbedGroupCaption(bool AIsActive) override;
  TColor RichEditControlHeaderFooterLineColor() override;
  TColor RichEditControlHeaderFooterMarkBackColor() override;
  TColor RichEditControlHeaderFooterMarkTextColor() override;
  TColor RichEditRulerDefaultTabColor() override;
  TColor RichEditRulerTextColor() override;

  // --- Layout views, Explorer views, Office navigation bars, spreadsheet and scheduler buttons --------

  void LayoutViewDrawRecordCaption(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextRect,
                                   TcxGroupBoxCaptionPosition APosition, TcxButtonState AState,
                                   TColor AColor = clDefault, TBitmap* ABitmap = nullptr) override;
  void LayoutViewDrawRecordContent(TcxCanvas* ACanvas, const TRect& ABounds,
                                   TcxGroupBoxCaptionPosition ACaptionPosition, TcxButtonState AState,
                                   const TcxBorders& ABorders = cxBordersAll) override;
  void LayoutViewDrawScaledRecordExpandButton(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                              bool AExpanded, TdxScaleFactor* AScaleFactor) override;
  void LayoutViewDrawItem(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                          const TcxBorders& ABorders = cxBordersAll) override;
  int32_t LayoutViewRecordCaptionTailSize(TcxGroupBoxCaptionPosition ACaptionPosition) override;
  TColor DefaultLayoutViewCaptionTextColor(TcxGroupBoxCaptionPosition ACaptionPosition,
                                           TcxButtonState AState) override;
  bool LayoutViewRecordCaptionTextBold() override;
  TColor DefaultLayoutViewContentTextColor(TcxButtonState AState) override;
  TRect LayoutViewGetPadding(int32_t AElement) override;
  TRect LayoutViewGetSpacing(int32_t AElement) override;
  void WinExplorerViewDrawGroup(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                TColor AColor = clDefault, TBitmap* ABitmap = nullptr) override;
  void WinExplorerViewDrawRecord(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                 TColor AColor = clDefault, TBitmap* ABitmap = nullptr) override;
  void WinExplorerViewDrawGroupCaptionLine(TcxCanvas* ACanvas, const TRect& ABounds) override;
  int32_t WinExplorerViewGroupCaptionLineHeight() override;
  void WinExplorerViewDrawScaledRecordExpandButton(TcxCanvas* ACanvas, const TRect& ABounds,
                                                   TcxButtonState AState, bool AExpanded,
                                                   TdxScaleFactor* AScaleFactor) override;
  TColor WinExplorerViewGroupTextColor(TcxButtonState AState) override;
  TColor WinExplorerViewRecordTextColor(TcxButtonState AState) override;
  bool WinExplorerViewGroupTextBold() override;
  void OfficeNavigationBarDrawBackground(TcxCanvas* ACanvas, const TRect& ARect) override;
  void OfficeNavigationBarDrawScaledItemBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                   TcxCalendarElementState AState,
                                                   TdxScaleFactor* AScaleFactor) override;
  TColor OfficeNavigationBarItemTextColor(TcxCalendarElementState AState) override;
  TRect OfficeNavigationBarScaledContentOffsets(TdxScaleFactor* AScaleFactor) override;
  TRect OfficeNavigationBarScaledItemContentOffsets(TdxScaleFactor* AScaleFactor) override;
  int32_t OfficeNavigationBarScaledItemFontSize(TdxScaleFactor* AScaleFactor) override;
  TRect OfficeNavigationBarScaledButtonItemContentOffsets(TdxScaleFactor* AScaleFactor) override;
  TColor OfficeNavigationBarButtonItemTextColor(TcxCalendarElementState AState) override;
  int32_t OfficeNavigationBarScaledButtonItemFontSize(TdxScaleFactor* AScaleFactor) override;
  void OfficeNavigationBarDrawScaledButtonItemBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                         TcxCalendarElementState AState,
                                                         TdxScaleFactor* AScaleFactor) override;
  void DrawSchedulerScaledNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                          TdxScaleFactor* AScaleFactor) override;
  void DrawSpreadSheetScaledGroupExpandButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                              TdxScaleFactor* AScaleFactor) override;

  // --- Headers and navigator glyphs ----------------------------------------------------------------

  void DrawContent(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                   TcxButtonState AState, TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                   bool AMultiLine, bool AShowEndEllipsis, const String& AText, TFont* AFont,
                   TColor ATextColor, TColor ABkColor,
                   const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr,
                   bool AIsFooter = false) override;
  void DrawScaledHeader(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                        const TcxNeighbors& ANeighbors, const TcxBorders& ABorders, TcxButtonState AState,
                        TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                        bool AShowEndEllipsis, const String& AText, TFont* AFont, TColor ATextColor,
                        TColor ABkColor, TdxScaleFactor* AScaleFactor,
                        const TcxDrawBackgroundEvent& AOnDrawBackground = nullptr, bool AIsLast = false,
                        bool AIsGroup = false) override;
  TcxBorders HeaderBorders(const TcxNeighbors& ANeighbors) override;
  TRect HeaderContentOffsets(TdxScaleFactor* AScaleFactor) override;
  bool HeaderDrawCellsFirst() override;
  void DrawHeaderPressed(TcxCanvas* ACanvas, const TRect& ABounds) override;
  void DrawNavigatorScaledButtonGlyph(TcxCanvas* ACanvas, TCustomImageList* AImageList, int32_t AImageIndex,
                                      const TRect& AGlyphRect, bool AEnabled, bool AUserGlyphs,
                                      TdxScaleFactor* AScaleFactor) override;

 protected:
  // --- Helpers of the overrides ----------------------------------------------------------------
  // False when AElement is nil; otherwise draws it on the canvas and answers True.
  bool DrawSkinElement(TdxSkinElement* AElement, TcxCanvas* ACanvas, const TRect& R, int32_t AImageIndex,
                       TdxSkinElementState AState);
  bool DrawSkinElement(TdxSkinElement* AElement, TcxCanvas* ACanvas, const TRect& R, int32_t AImageIndex,
                       TdxSkinElementState AState, TdxScaleFactor* AScaleFactor);
  // The same, mirrored on a right-to-left canvas.
  bool DrawRightToLeftDependentSkinElement(TdxSkinElement* AElement, TcxCanvas* ACanvas, const TRect& R,
                                           int32_t AImageIndex, TdxSkinElementState AState,
                                           TdxScaleFactor* AScaleFactor);
  // The element shown rotated (and flipped) over the canvas content under R.
  void DrawSkinElementRotated(TcxCanvas* ACanvas, TdxSkinElement* AElement, TdxScaleFactor* AScaleFactor,
                              bool AFlipVertically, TcxRotationAngle ARotationAngle,
                              TdxSkinElementState AState, const TRect& R);
  // The element clipped to R and drawn over R grown by AMargins on the sides not in ABorders, so
  // that only the border lines asked for show.
  void DrawSkinElementOnBorders(TdxSkinElement* AElement, TcxCanvas* ACanvas, const TRect& R,
                                const TcxBorders& ABorders, const TRect& AMargins, int32_t AImageIndex,
                                TdxSkinElementState AState);
  static TRect GetSkinElementBordersWidth(TdxSkinElement* AElement);
  static IdxColorPalettePtr GetSkinElementColorPalette(TdxSkinElement* AElement, TdxSkinElementState AState);
  static TSize GetSkinElementMinSize(TdxSkinElement* AElement);
  static TRect ContentOffsets(TdxSkinElement* AElement);
  static TSize MinSize(TdxSkinElement* AElement);
  static bool IsColorPropertyAssigned(TdxSkinColor* AColor);
  static bool IsSkinElementColorAssigned(TdxSkinElement* AElement);
  static bool IsSkinElementTextColorAssigned(TdxSkinElement* AElement);
  bool IsFontBold(TdxSkinPersistent* AObject);
  static TcxButtonState GalleryStateToButtonState(const TdxGalleryItemViewState& AViewState);
  // The colour's value when it exists and is valid; otherwise AFallback.
  static TColor SkinColorOr(TdxSkinColor* AColor, TColor AFallback);

 private:
  TdxSkinElement* ButtonElementByPart(TcxButtonPart APart);
  TdxSkinElement* EditButtonElement(TcxEditBtnKind AButtonKind);
  // The editor button's glyph rectangle (the adjusted rectangle less the content offsets, widened
  // again on the merged side).
  TRect EditButtonGlyphRect(TdxSkinElement* AButton, const TRect& ARect, TcxEditBtnPosition APosition);
  // The breadcrumb buttons' common drawing; False without the element.
  bool DrawBreadcrumbEditButtonElement(TdxSkinElement* AElement, TcxCanvas* ACanvas, const TRect& R,
                                       TdxBreadcrumbEditButtonState AState, bool AIsFirst,
                                       TdxScaleFactor* AScaleFactor);
  TdxSkinElement* GetRangeTrackBarLeftThumbSkinElement(TcxTrackBarTicksAlign ATicks);
  TdxSkinElement* GetRangeTrackBarRightThumbSkinElement(TcxTrackBarTicksAlign ATicks);
  void DrawRangeTrackBarScaledThumbSkinElement(TcxCanvas* ACanvas, TdxSkinElement* AElement,
                                               const TRect& ARect, TcxButtonState AState, bool AHorizontal,
                                               TcxTrackBarTicksAlign ATicks, TdxScaleFactor* AScaleFactor);
  TdxSkinElement* AlertWindowButtonElement(TdxAlertWindowButtonKind AKind);

  std::unique_ptr<TdxSkinLookAndFeelPainterInfo> FSkinInfo;
  HINSTANCE FSkinResInstance = nullptr;
  String FSkinResName;
};

}  // namespace qd
