#pragma once
// The skin information: one loaded skin turned into a flat record of direct references (groups,
// elements, colours, properties and resolved values) that the skin painter reads on every
// drawing call. Every name is looked up once, when the skin is attached and again whenever the
// skin announces a change. A group or element the skin lacks is added to it as a blank (an
// element then draws as a black square with a red cross), except the few resolved without a
// blank, which stay nil. The skin information owns the skin it was given and listens to it.
#include <cstdint>
#include <memory>

#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "ui/skins/dxSkinsCore.h"

namespace qd {

// The keys of the calculator editor, cbBack to cbNone.
inline constexpr int dxCalcButtonKindCount = cbNone + 1;

// What a skin information answers through the painter data.
class IdxSkinInfo {
 public:
  virtual ~IdxSkinInfo() = default;
  virtual TdxSkin* GetSkin() = 0;
};

// One cell of the scroll-bar table: the element and the frame that one scroll-bar part uses.
class TdxSkinScrollInfo : public TObject {
  QD_CLASS(TdxSkinScrollInfo, TObject)

 public:
  TdxSkinScrollInfo(TdxSkinElement* AElement, int32_t AImageIndex)
      : FElement(AElement), FImageIndex(AImageIndex) {}

  // False when there is no element; otherwise draws it with the stored frame index.
  bool DrawScaled(HDC DC, const TRect& R, const TdxScaleFactor* AScaleFactor, TdxSkinElementState AState);
  bool DrawScaled(HDC DC, const TRect& R, const TdxScaleFactor* AScaleFactor, TdxSkinElementState AState,
                  int32_t AImageIndex);
  // The same at the system scale factor.
  bool Draw(HDC DC, const TRect& R, TdxSkinElementState AState);
  bool Draw(HDC DC, const TRect& R, TdxSkinElementState AState, int32_t AImageIndex);

  TdxSkinElement* Element() const { return FElement; }
  int32_t ImageIndex() const { return FImageIndex; }

 private:
  TdxSkinElement* FElement;
  int32_t FImageIndex;
};

class TdxSkinElementHelper {
 public:
  // The caption height, and a width from the element's MinSize aspect ratio; for a
  // non-resized image both are reduced by 1 where their parity differs from the image's.
  static TSize CalculateCaptionButtonSize(int32_t ACaptionHeight, TdxSkinElement* AElement);
  // Whether the element would draw its alternate image set for that frame and state on the
  // screen device.
  static bool IsAlternateImageSetUsed(TdxSkinElement* AElement, int32_t AImageIndex,
                                      TdxSkinElementState AState);
};

class TdxSkinInfo : public TcxIUnknownObject, public IdxSkinInfo, public IdxSkinChangeListener {
  QD_CLASS(TdxSkinInfo, TcxIUnknownObject)

 public:
  // Attaches ASkin (may be nullptr) and takes it over.
  explicit TdxSkinInfo(TdxSkin* ASkin = nullptr);
  ~TdxSkinInfo() override;
  TdxSkinInfo(const TdxSkinInfo&) = delete;
  TdxSkinInfo& operator=(const TdxSkinInfo&) = delete;

  // Detaches the current skin (without freeing it) and attaches ASkin, resolving every name.
  void SetSkin(TdxSkin* ASkin);
  TdxSkin* GetSkin() override { return FSkin; }
  TdxSkin* Skin() const { return FSkin; }

  // Lookups: nil (or the stated default) without a skin, group or object; whatever is found or
  // created is marked used.
  TdxSkinControlGroup* GetGroupByName(const String& AName);
  TdxSkinElement* GetElementByName(TdxSkinControlGroup* AGroup, const String& AName, bool ACreateIfNotExists);
  TdxSkinProperty* GetPropertyByName(TdxSkinPersistent* AObject, const String& AName);
  // The following raise EInvalidCast when the property is of another class.
  TdxSkinColor* GetColorByName(TdxSkinPersistent* AObject, const String& AName);
  // The skin-level colour; not marked used.
  TdxSkinColor* GetColorByName(const String& AName);
  TColor GetColorValueByName(TdxSkinPersistent* AObject, const String& AName);
  // The colour with the opacity of the integer property AName + "Alpha" (default 255).
  TdxAlphaColor GetAlphaColorValueByName(TdxSkinPersistent* AObject, const String& AName);
  TdxSkinBooleanProperty* GetBoolPropertyByName(TdxSkinPersistent* AObject, const String& AName);
  TdxSkinIntegerProperty* GetIntegerPropertyByName(TdxSkinPersistent* AObject, const String& AName);
  TdxSkinRectProperty* GetRectPropertyByName(TdxSkinPersistent* AObject, const String& AName);
  int32_t GetIntegerPropertyValue(TdxSkinPersistent* AObject, const String& AName, int32_t ADefault);
  void MarkObjectUsed(TdxSkinCustomObject* AObject);
  // Switches the element's render cache on; a capacity above 0 is set, -1 keeps the default.
  void SetUseCache(TdxSkinElement* AElement, int32_t ACapacity = -1);

  // The skin's change notification: everything is resolved again.
  void SkinChanged(TdxSkin* Sender) override { SkinChanged(); }
  virtual void SkinChanged();

  // ---- Groups
  TdxSkinControlGroup* GroupBars = nullptr;
  TdxSkinControlGroup* GroupCommon = nullptr;
  TdxSkinControlGroup* GroupDocking = nullptr;
  TdxSkinControlGroup* GroupEditors = nullptr;
  TdxSkinControlGroup* GroupForm = nullptr;
  TdxSkinControlGroup* GroupGrid = nullptr;
  TdxSkinControlGroup* GroupMapControl = nullptr;
  TdxSkinControlGroup* GroupNavBar = nullptr;
  TdxSkinControlGroup* GroupNavPane = nullptr;
  TdxSkinControlGroup* GroupPDFViewer = nullptr;
  TdxSkinControlGroup* GroupPrintingSystem = nullptr;
  TdxSkinControlGroup* GroupRibbon = nullptr;
  TdxSkinControlGroup* GroupRichEdit = nullptr;
  TdxSkinControlGroup* GroupScheduler = nullptr;
  TdxSkinControlGroup* GroupTabs = nullptr;
  TdxSkinControlGroup* GroupTileControl = nullptr;
  TdxSkinControlGroup* GroupVGrid = nullptr;

  // ---- Bars
  TdxSkinElement* Bar = nullptr;
  TdxSkinElement* BarCustomize = nullptr;
  TdxSkinElement* BarCustomizeVertical = nullptr;
  TdxSkinElement* BarDrag = nullptr;
  TdxSkinElement* BarDragVertical = nullptr;
  TdxSkinElement* BarMDIButtonClose = nullptr;
  TdxSkinElement* BarMDIButtonMinimize = nullptr;
  TdxSkinElement* BarMDIButtonRestore = nullptr;
  TdxSkinElement* BarSeparator = nullptr;
  TdxSkinElement* BarVertical = nullptr;
  TdxSkinElement* BarVerticalSeparator = nullptr;
  TdxSkinElement* Dock = nullptr;
  TdxSkinElement* FloatingBar = nullptr;
  TdxSkinElement* ItemSeparator = nullptr;
  TdxSkinElement* LinkBorderPainter = nullptr;
  TdxSkinElement* LinkSelected = nullptr;
  TdxSkinElement* MainMenu = nullptr;
  TdxSkinElement* MainMenuCustomize = nullptr;
  TdxSkinElement* MainMenuDrag = nullptr;
  TdxSkinElement* MainMenuLinkSelected = nullptr;
  TdxSkinElement* MainMenuVertical = nullptr;
  TdxSkinElement* PopupMenu = nullptr;
  TdxSkinElement* PopupMenuCheck = nullptr;
  TdxSkinElement* PopupMenuExpandButton = nullptr;
  TdxSkinElement* PopupMenuLinkSelected = nullptr;
  TdxSkinElement* PopupMenuSeparator = nullptr;
  TdxSkinElement* PopupMenuSideStrip = nullptr;
  TdxSkinElement* PopupMenuSideStripNonRecent = nullptr;
  TdxSkinElement* PopupMenuSplitButton = nullptr;
  TdxSkinElement* PopupMenuSplitButton2 = nullptr;
  TdxSkinElement* FormStatusBar = nullptr;
  TdxSkinElement* ScreenTipWindow = nullptr;
  TdxSkinElement* ScreenTipSeparator = nullptr;
  TdxSkinColor* BarDisabledTextColor = nullptr;
  TdxSkinColor* ScreenTipItem = nullptr;
  TdxSkinColor* ScreenTipTitleItem = nullptr;

  // ---- Common
  TdxSkinElement* AlertWindow = nullptr;
  TdxSkinElement* AlertWindowButton = nullptr;
  TdxSkinElement* AlertWindowButtonGlyphs = nullptr;
  TdxSkinElement* AlertWindowCaption = nullptr;
  TdxSkinElement* AlertWindowNavigationPanel = nullptr;
  TdxSkinElement* AlertWindowNavigationPanelButton = nullptr;
  TdxSkinElement* BackButton = nullptr;
  TdxSkinElement* ButtonElements = nullptr;
  TdxSkinElement* DropDownButtonLeft = nullptr;
  TdxSkinElement* DropDownButtonRight = nullptr;
  TdxSkinElement* LoadingBig = nullptr;
  TdxSkinElement* GroupBoxClient = nullptr;
  TdxSkinElement* GroupButton = nullptr;
  TdxSkinElement* GroupButtonExpandGlyph = nullptr;
  TdxSkinElement* GroupBoxElements[5]{};         // by TcxGroupBoxCaptionPosition
  TdxSkinElement* GroupBoxCaptionElements[5]{};  // cxgpCenter stays nil
  TdxSkinIntegerProperty* GroupBoxCaptionTailSizes[5]{};
  TdxSkinIntegerProperty* GroupBoxCaptionTextPadding[5]{};
  TdxSkinElement* GaugeBackground = nullptr;
  TdxSkinElement* Header = nullptr;
  TdxSkinElement* HeaderSpecial = nullptr;
  TdxSkinElement* SortGlyphs = nullptr;
  TdxSkinElement* HighlightedItem = nullptr;
  TdxSkinElement* SizeGrip = nullptr;
  TdxSkinElement* Splitter[2]{};  // [horizontal]
  int32_t AlertWindowCornerRadius = 0;
  TdxSkinColor* ButtonDisabled = nullptr;

  // ---- Docking
  TdxSkinElement* DockControlHideBarButtons = nullptr;
  TdxSkinElement* DockControlTabButtonHorz = nullptr;
  TdxSkinElement* DockControlTabButtonVert = nullptr;
  TdxSkinElement* DockControlTabHeader = nullptr;
  TdxSkinElement* DockControlTabHeaderBackground = nullptr;
  TdxSkinElement* DockControlTabHeaderCloseButton = nullptr;
  TdxSkinElement* DockControlTabHeaderLine = nullptr;
  TdxSkinElement* DockControlWindowButton = nullptr;
  TdxSkinElement* DockControlWindowButtonGlyphs = nullptr;
  TdxSkinElement* DockControlHideBar = nullptr;
  TdxSkinElement* DockControlHideBarLeft = nullptr;
  TdxSkinElement* DockControlHideBarRight = nullptr;
  TdxSkinElement* DockControlHideBarBottom = nullptr;
  TdxSkinElement* DockControlCaption = nullptr;
  TdxSkinElement* DockControlBorder = nullptr;
  TdxSkinColor* DockSiteContentColor = nullptr;
  TdxSkinColor* DockControlTabTextColor[2]{};  // [active]
  // Active header down grow, horizontal grow, up grow.
  int32_t DockControlIndents[3]{};
  TColor DockControlCaptionNonFocusedTextColor = clDefault;

  // ---- Editors
  TdxSkinElement* BreadcrumbEditButton = nullptr;
  TdxSkinElement* BreadcrumbEditButtonsAreaSeparator = nullptr;
  TdxSkinElement* BreadcrumbEditDropDownButton = nullptr;
  TdxSkinElement* BreadcrumbEditNodeButton = nullptr;
  TdxSkinElement* BreadcrumbEditNodeSplitButtonLeft = nullptr;
  TdxSkinElement* BreadcrumbEditNodeSplitButtonRight = nullptr;
  TdxSkinElement* BreadcrumbEditProgressChunk = nullptr;
  TdxSkinElement* BreadcrumbEditProgressChunkOverlay = nullptr;
  TdxSkinElement* CalendarNavigationButton = nullptr;
  TdxSkinElement* CheckboxElement = nullptr;
  TdxSkinElement* ClockElements[2]{};  // face, glass
  TdxSkinElement* LabelLine[2]{};      // [vertical]
  TdxSkinElement* ZoomInButton = nullptr;
  TdxSkinElement* ZoomOutButton = nullptr;
  TdxSkinElement* EditButtonElements[2]{};  // editor button, close button
  TdxSkinElement* EditButtonGlyphs[8]{};    // by TcxEditBtnKind
  TdxSkinElement* EditButtonSearchGlyph = nullptr;
  TdxSkinElement* SliderArrow[4]{};  // top, bottom, left, right
  TdxSkinElement* GalleryBackground = nullptr;
  TdxSkinElement* GalleryGroup = nullptr;
  TdxSkinElement* GalleryItem = nullptr;
  TdxSkinElement* GalleryItemGlyphFrame = nullptr;
  TdxSkinElement* RatingIndicator = nullptr;
  TdxSkinElement* NavigatorButton = nullptr;
  TdxSkinElement* NavigatorGlyphs = nullptr;
  TdxSkinElement* NavigatorGlyphsVert = nullptr;
  // Border horizontal, border vertical, chunk horizontal, chunk vertical.
  TdxSkinElement* ProgressBarElements[4]{};
  TdxSkinElement* RadioGroupButton = nullptr;
  TdxSkinElement* RangeControlBorder = nullptr;
  TdxSkinElement* RangeControlLeftThumb = nullptr;
  TdxSkinElement* RangeControlRightThumb = nullptr;
  TdxSkinElement* RangeControlRulerHeader = nullptr;
  TdxSkinElement* RangeControlSizingGlyph = nullptr;
  TdxSkinElement* ToggleSwitch = nullptr;
  TdxSkinElement* ToggleSwitchThumb = nullptr;
  TdxSkinElement* RangeTrackBarThumbLeft = nullptr;
  TdxSkinElement* RangeTrackBarThumbRight = nullptr;
  TdxSkinElement* RangeTrackBarThumbBoth = nullptr;
  TdxSkinElement* TrackBarTrack[2]{};                 // [horizontal]
  TdxSkinElement* TrackBarThumb[2][3]{};              // [horizontal][TcxTrackBarTicksAlign]
  TdxSkinColor* BreadcrumbEditBackgroundColors[4]{};  // by TdxBreadcrumbEditState
  TdxSkinColor* BreadcrumbEditBordersColors[4]{};
  TdxSkinColor* CalcEditButtonTextColors[dxCalcButtonKindCount]{};
  TdxSkinColor* CalendarDayTextColor = nullptr;
  TdxSkinColor* CalendarHolidayTextColor = nullptr;
  TdxSkinColor* CalendarInactiveDayTextColor = nullptr;
  TdxSkinColor* CalendarSelectedDayTextColor = nullptr;
  TdxSkinColor* CalendarSelectedDayColor = nullptr;
  TdxSkinColor* CalendarSeparatorColor = nullptr;
  TdxSkinColor* CalendarTodayFrameColor = nullptr;
  TdxSkinColor* CalendarTodayTextColor = nullptr;
  TdxSkinColor* HyperLinkTextColor = nullptr;
  TdxSkinColor* EditorTextColors[4]{};  // by TcxEditStateColorKind
  TdxSkinColor* EditorBackgroundColors[4]{};
  TdxSkinColor* BevelShapeColor1 = nullptr;
  TdxSkinColor* BevelShapeColor2 = nullptr;
  TdxSkinColor* NavigatorInfoPanelColor = nullptr;
  TdxSkinColor* NavigatorInfoPanelTextColor = nullptr;
  TdxSkinColor* ProgressBarTextColors[2]{};  // empty, filled
  TdxSkinColor* TrackBarTickColor = nullptr;
  TdxSkinRectProperty* BreadcrumbEditProgressChunkPadding = nullptr;
  bool BreadcrumbEditButtonMergeBorders = false;
  bool EditButtonMergeBorders = false;
  TdxSkinIntegerProperty* ToggleSwitchTextMargin = nullptr;
  TdxSkinColor* RangeControlDefaultElementColor = nullptr;
  TdxSkinColor* RangeControlElementBaseColor = nullptr;
  TdxSkinColor* RangeControlElementForeColor = nullptr;
  TdxSkinColor* RangeControlLabelColor = nullptr;
  TdxSkinColor* RangeControlRangePreviewColor = nullptr;
  TdxSkinColor* RangeControlScrollAreaColor = nullptr;
  TdxSkinColor* RangeControlViewPortPreviewColor = nullptr;
  TdxSkinIntegerProperty* RangeControlElementFontSize = nullptr;
  TdxSkinIntegerProperty* RangeControlScrollAreaHeight = nullptr;
  TdxAlphaColor RangeControlOutOfRangeColorMask = 0;
  TdxAlphaColor RangeControlRuleColor = 0;
  TdxAlphaColor RangeControlSelectionBorderColor = 0;
  TdxAlphaColor RangeControlSelectionColor = 0;
  TdxAlphaColor RangeControlBackColor = 0;
  TdxAlphaColor RangeControlInnerBorderColor = 0;

  // ---- Form
  // [normal caption][none, help, minimize, maximize, restore, close]
  TdxSkinElement* FormIcons[2][6]{};
  TdxSkinElement* FormFrames[2][4]{};  // [normal caption][TcxBorder]
  TdxSkinElement* FormContent = nullptr;
  TdxSkinColor* FormInactiveColor = nullptr;
  TdxSkinColor* FormTextShadowColor = nullptr;
  int32_t FormCaptionFontDelta = 0;  // at least 1 with a skin
  TdxSkinBooleanProperty* FormCaptionFontIsBold = nullptr;

  // ---- Grid
  TdxSkinElement* ExpandButton = nullptr;
  TdxSkinElement* FilterButtons[2]{};  // [active]
  TdxSkinElement* SmartFilterButton = nullptr;
  TdxSkinElement* FilterPanel = nullptr;
  TdxSkinElement* FooterCell = nullptr;
  TdxSkinElement* FooterPanel = nullptr;
  TdxSkinElement* GridFixedLine = nullptr;
  TdxSkinElement* CardViewSeparator = nullptr;
  TdxSkinElement* GridGroupByBox = nullptr;
  TdxSkinElement* GridGroupRow = nullptr;
  TdxSkinElement* GridLine = nullptr;
  TdxSkinElement* GridWinExplorerViewGroup = nullptr;
  TdxSkinElement* GridWinExplorerViewGroupCaptionLine = nullptr;
  TdxSkinElement* GridWinExplorerViewGroupExpandButton = nullptr;
  TdxSkinElement* GridWinExplorerViewRecord = nullptr;
  TdxSkinElement* IndicatorImages = nullptr;
  TdxSkinElement* LayoutViewItem = nullptr;
  TdxSkinElement* LayoutViewRecordExpandButton = nullptr;
  TdxSkinElement* LayoutViewRecordElements[5]{};         // by TcxGroupBoxCaptionPosition
  TdxSkinElement* LayoutViewRecordCaptionElements[5]{};  // cxgpCenter stays nil
  TdxSkinIntegerProperty* LayoutViewRecordCaptionTailSizes[5]{};
  TdxSkinIntegerProperty* LayoutViewRecordCaptionTextPadding[5]{};
  // Group, group without borders, tabbed group, root group, root group without borders, item.
  TdxSkinRectProperty* LayoutViewElementPadding[6]{};
  TdxSkinRectProperty* LayoutViewElementSpacing[6]{};
  TdxSkinColor* GridGroupRowStyleOffice11ContentColor = nullptr;
  TdxSkinColor* GridGroupRowStyleOffice11SeparatorColor = nullptr;
  TdxSkinColor* GridGroupRowStyleOffice11TextColor = nullptr;

  // ---- MapControl
  TdxSkinElement* MapControlCustomElement = nullptr;
  TdxSkinElement* MapControlCallout = nullptr;
  TdxSkinElement* MapControlPushpin = nullptr;
  TColor MapControlBackColor = clDefault;
  TdxAlphaColor MapControlPanelBackColor = 0;
  TdxAlphaColor MapControlPanelHotTrackedTextColor = 0;
  TdxAlphaColor MapControlPanelPressedTextColor = 0;
  TdxAlphaColor MapControlPanelTextColor = 0;
  TdxAlphaColor MapControlCustomElementTextGlowColor = 0;
  TdxAlphaColor MapControlCalloutTextGlowColor = 0;
  TdxAlphaColor MapControlPushpinTextGlowColor = 0;
  int32_t MapControlCalloutPointerHeight = 0;
  TPoint MapControlCalloutPointer{};
  TPoint MapControlPushpinTextOrigin{};
  TdxAlphaColor MapControlSelectedRegionBackgroundColor = 0;
  TdxAlphaColor MapControlSelectedRegionBorderColor = 0;
  // By shape state (normal, hot, highlighted, selected, disabled).
  TdxAlphaColor MapControlShapeBorderColor[5]{};
  int32_t MapControlShapeBorderWidth[5]{};
  TdxAlphaColor MapControlShapeColor[5]{};

  // ---- NavBar
  TdxSkinElement* NavBarAccordionControlBackground = nullptr;
  TdxSkinElement* NavBarAccordionControlGroup = nullptr;
  TdxSkinElement* NavBarAccordionControlGroupCloseButton = nullptr;
  TdxSkinElement* NavBarAccordionControlGroupOpenButton = nullptr;
  TdxSkinElement* NavBarAccordionControlItem = nullptr;
  TdxSkinElement* NavBarAccordionControlRootGroup = nullptr;
  TdxSkinElement* NavBarAccordionControlRootGroupCloseButton = nullptr;
  TdxSkinElement* NavBarAccordionControlRootGroupOpenButton = nullptr;
  TdxSkinElement* NavBarAccordionControlSearchButton = nullptr;
  TdxSkinElement* NavBarBackgroundColor = nullptr;
  TdxSkinElement* NavBarGroupClient = nullptr;
  TdxSkinElement* NavBarItem = nullptr;
  TdxSkinElement* NavBarGroupHeader = nullptr;
  TdxSkinElement* NavBarGroupButtons[2]{};  // open, close
  TdxSkinIntegerProperty* NavBarAccordionControlChildItemOffset = nullptr;
  TdxSkinIntegerProperty* NavBarAccordionControlDistanceBetweenRootGroups = nullptr;
  TdxSkinRectProperty* NavBarAccordionControlContentContainerPadding = nullptr;
  TdxSkinIntegerProperty* NavBarAccordionControlSearchButtonGlyphToTextIndent = nullptr;

  // ---- NavPane
  TdxSkinElement* NavPaneCollapseButton = nullptr;
  TdxSkinElement* NavPaneCollapsedGroupClient = nullptr;
  TdxSkinElement* NavPaneExpandButton = nullptr;
  TdxSkinElement* NavPaneFormBorder = nullptr;
  TdxSkinElement* NavPaneFormSizeGrip = nullptr;
  TdxSkinElement* NavPaneGroupButton[2]{};  // [selected]
  TdxSkinElement* NavPaneGroupCaption = nullptr;
  TdxSkinElement* NavPaneSplitter = nullptr;
  TdxSkinElement* NavPaneScrollButtons[2]{};  // up, down
  TdxSkinElement* NavPaneOverflowPanel = nullptr;
  TdxSkinElement* NavPaneOverflowPanelItem = nullptr;
  TdxSkinElement* NavPaneOverflowPanelExpandedItem = nullptr;
  TdxSkinElement* NavPaneGroupClient = nullptr;
  TdxSkinElement* NavPaneItem = nullptr;
  TdxSkinElement* NavPaneSelectedItem = nullptr;
  TdxSkinElement* NavPaneOfficeNavigationBar = nullptr;
  TdxSkinElement* NavPaneOfficeNavigationBarItem = nullptr;
  TdxSkinElement* NavPaneOfficeNavigationBarSkinningItem = nullptr;
  TdxSkinIntegerProperty* NavPaneCaptionHeight = nullptr;
  TdxSkinIntegerProperty* NavPaneCaptionFontSize = nullptr;
  int32_t NavPaneOfficeNavigationBarItemFontDelta = 0;
  int32_t NavPaneOfficeNavigationBarSkinningItemFontDelta = 0;
  TdxSkinBooleanProperty* NavPaneOffsetGroupBorders = nullptr;

  // ---- PDFViewer
  TdxSkinElement* PDFViewerFindPanel = nullptr;
  TdxSkinElement* PDFViewerNavigationPaneBackground = nullptr;
  TdxSkinElement* PDFViewerNavigationPaneButton = nullptr;
  TdxSkinElement* PDFViewerNavigationPaneButtonArrow = nullptr;
  TdxSkinElement* PDFViewerNavigationPaneButtonMinimized = nullptr;
  TdxSkinElement* PDFViewerNavigationPanePageBackground = nullptr;
  TdxSkinElement* PDFViewerNavigationPanePageButton = nullptr;
  TdxSkinElement* PDFViewerNavigationPanePageCaption = nullptr;
  TdxSkinColor* PDFViewerSelectionColor = nullptr;
  TdxSkinIntegerProperty* PDFViewerNavigationPaneSelectedPageExpandValue = nullptr;
  TdxSkinIntegerProperty* PDFViewerNavigationPaneSelectedPageOverlapValue = nullptr;

  // ---- PrintingSystem
  TdxSkinElement* PrintingPageBorder = nullptr;
  TdxSkinElement* PrintingPreviewBackground = nullptr;

  // ---- Ribbon
  TdxSkinElement* RibbonApplicationBackground = nullptr;
  TdxSkinElement* RibbonApplicationButton = nullptr;
  TdxSkinElement* RibbonApplicationButton2010 = nullptr;
  TdxSkinElement* RibbonApplicationFooterBackground = nullptr;
  TdxSkinElement* RibbonApplicationHeaderBackground = nullptr;
  TdxSkinElement* RibbonExtraPanePinButtonGlyph = nullptr;
  TdxSkinElement* RibbonExtraPaneButton = nullptr;
  TdxSkinElement* RibbonBackstageView = nullptr;
  TdxSkinElement* RibbonBackstageViewBackButton = nullptr;
  TdxSkinElement* RibbonBackstageViewImage = nullptr;
  TdxSkinElement* RibbonBackstageViewMenu = nullptr;
  TdxSkinElement* RibbonBackstageViewMenuHeader = nullptr;
  TdxSkinElement* RibbonBackstageViewMenuButton = nullptr;
  TdxSkinElement* RibbonBackstageViewMenuSeparator = nullptr;
  TdxSkinElement* RibbonBackstageViewTab = nullptr;
  TdxSkinElement* RibbonBackstageViewTabArrow = nullptr;
  TdxSkinElement* RibbonCollapsedToolBarBackground = nullptr;
  TdxSkinElement* RibbonCollapsedToolBarGlyphBackground = nullptr;
  TdxSkinElement* RibbonFormButtonAutoHideModeShowUI = nullptr;
  TdxSkinElement* RibbonFormButtonDisplayOptions = nullptr;
  TdxSkinElement* RibbonFormButtonClose = nullptr;
  TdxSkinElement* RibbonFormButtonHelp = nullptr;
  TdxSkinElement* RibbonFormButtonMaximize = nullptr;
  TdxSkinElement* RibbonFormButtonMinimize = nullptr;
  TdxSkinElement* RibbonFormButtonRestore = nullptr;
  TdxSkinElement* RibbonFormCaption = nullptr;
  TdxSkinElement* RibbonFormCaptionRibbonHidden = nullptr;
  TdxSkinElement* RibbonFormContent = nullptr;
  TdxSkinElement* RibbonFormBottom[2]{};  // [dialog]
  TdxSkinElement* RibbonFormLeft[2]{};
  TdxSkinElement* RibbonFormRight[2]{};
  TdxSkinElement* RibbonMinimizeButtonGlyph = nullptr;
  TdxSkinElement* RibbonTab = nullptr;
  TdxSkinElement* RibbonTabPanel = nullptr;
  TdxSkinElement* RibbonTabPanelGroupButton = nullptr;
  TdxSkinElement* RibbonTabSeparatorLine = nullptr;
  TdxSkinElement* RibbonTabGroup = nullptr;
  TdxSkinElement* RibbonTabGroupHeader = nullptr;
  TdxSkinElement* RibbonTabGroupItemsSeparator = nullptr;
  TdxSkinElement* RibbonGalleryBackground = nullptr;
  TdxSkinElement* RibbonGalleryButtonDown = nullptr;
  TdxSkinElement* RibbonGalleryButtonDropDown = nullptr;
  TdxSkinElement* RibbonGalleryButtonUp = nullptr;
  TdxSkinElement* RibbonGalleryGroupCaption = nullptr;
  TdxSkinElement* RibbonGalleryPane = nullptr;
  TdxSkinElement* RibbonGallerySizingPanel = nullptr;
  TdxSkinElement* RibbonGallerySizeGrips = nullptr;
  TdxSkinElement* RibbonHeaderBackground = nullptr;
  TdxSkinElement* RibbonHeaderBackgroundOnGlass = nullptr;
  TdxSkinElement* RibbonSmallButton = nullptr;
  TdxSkinElement* RibbonSplitButtonLeft = nullptr;
  TdxSkinElement* RibbonSplitButtonRight = nullptr;
  TdxSkinElement* RibbonKeyTip = nullptr;
  TdxSkinElement* RibbonLargeButton = nullptr;
  TdxSkinElement* RibbonLargeSplitButtonTop = nullptr;
  TdxSkinElement* RibbonLargeSplitButtonBottom = nullptr;
  TdxSkinElement* RibbonButtonArrow = nullptr;
  TdxSkinElement* RibbonButtonGroup = nullptr;
  TdxSkinElement* RibbonStatusBarBackground = nullptr;
  TdxSkinElement* RibbonStatusBarButton = nullptr;
  TdxSkinElement* RibbonStatusBarSeparator = nullptr;
  TdxSkinElement* RibbonQuickToolbar[2]{};  // above, in ribbon
  TdxSkinElement* RibbonQuickToolbarBelow = nullptr;
  TdxSkinElement* RibbonQuickToolbarButtonGlyph = nullptr;
  TdxSkinElement* RibbonQuickToolbarDropDown = nullptr;
  TdxSkinElement* RibbonQuickToolbarGlyph = nullptr;
  TdxSkinElement* RibbonButtonGroupButton = nullptr;
  TdxSkinElement* RibbonButtonGroupSeparator = nullptr;
  TdxSkinElement* RibbonButtonGroupSplitButtonLeft = nullptr;
  TdxSkinElement* RibbonButtonGroupSplitButtonRight = nullptr;
  TdxSkinElement* RibbonGroupScroll[2]{};  // right, left
  TdxSkinElement* RibbonContextualTabLabel = nullptr;
  TdxSkinElement* RibbonContextualTabLabelOnGlass = nullptr;
  TdxSkinElement* RibbonContextualTabSeparator = nullptr;
  TdxSkinElement* RibbonContextualTabHeader = nullptr;
  TdxSkinElement* RibbonContextualTabPanel = nullptr;
  TdxSkinColor* RadialMenuBackgroundColor = nullptr;
  TdxSkinColor* RadialMenuBaseColor = nullptr;
  TdxSkinColor* RibbonEditorBackground = nullptr;
  TdxSkinColor* RibbonExtraPaneColor = nullptr;
  TdxSkinColor* RibbonExtraPaneHeaderSeparator = nullptr;
  TdxSkinBooleanProperty* RibbonUseRoundedWindowCorners = nullptr;
  TdxSkinBooleanProperty* RibbonTabAeroSupport = nullptr;
  TdxSkinIntegerProperty* RibbonSpaceBetweenTabGroups = nullptr;
  TdxSkinIntegerProperty* RibbonTabHeaderDownGrowIndent = nullptr;
  TdxSkinBooleanProperty* RibbonQATCustomizeButtonOutsizeQAT[2]{};
  TdxSkinIntegerProperty* RibbonQATIndentBeforeCustomizeButton[2]{};
  TdxSkinIntegerProperty* RibbonCaptionFontDelta = nullptr;
  TdxSkinIntegerProperty* RibbonTabPanelBottomIndent = nullptr;
  TdxSkinColor* RibbonContextualTabLabelShadowColor = nullptr;
  TdxSkinColor* RibbonContextualTabLabelOnGlassShadowColor = nullptr;
  TColor RibbonButtonText[2]{clDefault, clDefault};   // normal, disabled
  TColor RibbonCaptionText[2]{clDefault, clDefault};  // inactive, active
  TColor RibbonTabTextHot = clDefault;
  TColor RibbonTabText[2]{clDefault, clDefault};  // [selected]
  TColor RibbonContextualTabHeaderText[2]{clDefault, clDefault};
  TColor RibbonContextualTabHeaderTextHot = clDefault;
  TColor RibbonDocumentNameTextColor[2]{clDefault, clDefault};
  TColor RibbonStatusBarTextSelected = clDefault;

  // ---- RichEdit
  TdxSkinElement* RichEditCornerPanel = nullptr;
  TdxSkinElement* RichEditRulerBackgroundHorz = nullptr;
  TdxSkinElement* RichEditRulerBackgroundVert = nullptr;
  TdxSkinElement* RichEditRulerColumnResizer = nullptr;
  TdxSkinElement* RichEditRulerIndent = nullptr;
  TdxSkinElement* RichEditRulerIndentBottom = nullptr;
  TdxSkinElement* RichEditRulerRightMargin = nullptr;
  TdxSkinElement* RichEditRulerSection = nullptr;
  TdxSkinElement* RichEditRulerTab = nullptr;
  TdxSkinElement* RichEditRulerTabTypeBackground = nullptr;
  TdxSkinColor* RichEditRulerDefaultTabColor = nullptr;
  TdxSkinColor* RichEditRulerTextColor = nullptr;

  // ---- Scheduler
  TdxSkinElement* SchedulerTimeGridHeader[2]{};  // [selected]
  TdxSkinElement* SchedulerTimeLine = nullptr;
  TdxSkinElement* SchedulerTimeRuler = nullptr;
  TdxSkinElement* SchedulerMoreButton = nullptr;
  TdxSkinElement* SchedulerAppointment[2]{};  // right border, appointment
  TdxSkinElement* SchedulerAllDayArea[2]{};   // [selected]
  TdxSkinElement* SchedulerCurrentTimeIndicator = nullptr;
  TdxSkinElement* SchedulerAppointmentShadow[2]{};  // bottom, right
  TdxSkinElement* SchedulerAppointmentMask = nullptr;
  TdxSkinElement* SchedulerGroup = nullptr;
  TdxSkinElement* SchedulerMilestone = nullptr;
  TdxSkinElement* SchedulerNavigationButtons[2]{};  // previous, next
  TdxSkinElement* SchedulerNavigationButtonsArrow[2]{};
  TdxSkinElement* SchedulerTimeGridCurrentTimeIndicator = nullptr;
  TdxSkinElement* SchedulerLabelCircle = nullptr;
  TdxSkinColor* SchedulerResourceColors[12]{};
  TdxSkinColor* SchedulerNavigatorColor = nullptr;
  TdxSkinIntegerProperty* SchedulerAppointmentBorderSize = nullptr;
  TdxSkinColor* SchedulerAppointmentBorder = nullptr;

  // ---- PageControl
  TdxSkinElement* PageControlHeader = nullptr;
  TdxSkinElement* PageControlButton = nullptr;
  TdxSkinElement* PageControlButtonHorz = nullptr;
  TdxSkinElement* PageControlButtonVert = nullptr;
  TdxSkinElement* PageControlHeaderButton = nullptr;
  TdxSkinElement* PageControlCloseButton = nullptr;
  TdxSkinElement* PageControlPane = nullptr;
  // Row indent far, row indent near, selected header down grow, horizontal grow, up grow, header
  // down grow, header down grow bottom-right, selected header down grow bottom-right.
  int32_t PageControlIndents[8]{};
  TdxSkinColor* TabTextColor = nullptr;
  TdxSkinColor* TabTextColorActive = nullptr;
  TdxSkinColor* TabTextColorDisabled = nullptr;
  TdxSkinColor* TabTextColorHot = nullptr;

  // ---- TileControl
  TdxSkinElement* TileControlActionBar = nullptr;
  TdxSkinElement* TileControlBackground = nullptr;
  TdxSkinElement* TileControlItem = nullptr;
  TdxSkinElement* TileControlItemCheck = nullptr;
  TdxSkinElement* TileControlGroupCaption = nullptr;
  TdxSkinElement* TileControlVirtualGroup = nullptr;
  TdxSkinElement* TileControlTitle = nullptr;
  TdxSkinElement* TileControlTabHeader = nullptr;
  int32_t TileControlGroupCaptionFontDelta = 0;
  int32_t TileControlTitleFontDelta = 0;
  int32_t TileControlTabHeaderFontDelta = 0;
  TColor TileControlSelectionFocusedColor = clDefault;
  TColor TileControlSelectionHotColor = clDefault;

  // ---- VerticalGrid
  TdxSkinElement* VGridCategory = nullptr;
  TdxSkinElement* VGridLine[2]{};  // grid line, band border
  TdxSkinElement* VGridRowHeader = nullptr;
  TdxSkinColor* VGridContentColor = nullptr;

  // ---- Skin-level colours
  TdxSkinColor* ContainerBorderColor = nullptr;
  TdxSkinColor* ContainerHighlightBorderColor = nullptr;
  TdxSkinColor* ContentColor = nullptr;
  TdxSkinColor* ContentEvenColor = nullptr;
  TdxSkinColor* ContentOddColor = nullptr;
  TdxSkinColor* ContentTextColor = nullptr;
  TdxSkinColor* DockControlHideBarTextColor[2]{};  // [hot]
  TdxSkinColor* HeaderBackgroundColor = nullptr;
  TdxSkinColor* HeaderBackgroundTextColor = nullptr;
  TdxSkinColor* InactiveColor = nullptr;
  TdxSkinColor* InactiveTextColor = nullptr;
  TdxSkinColor* LayoutControlColor = nullptr;
  TdxSkinColor* SelectionColor = nullptr;
  TdxSkinColor* SelectionTextColor = nullptr;
  TdxSkinColor* TreeListGridLineColor = nullptr;
  TdxSkinColor* TreeListTreeLineColor = nullptr;
  TdxSkinColor* SpreadSheetContentColor = nullptr;
  TdxSkinColor* SpreadSheetContentTextColor = nullptr;
  TdxSkinColor* SpreadSheetFrozenPaneSeparatorColor = nullptr;
  TdxSkinColor* SpreadSheetSelectionColor = nullptr;
  TdxSkinColor* SpreadSheetGroupLineColor = nullptr;
  TdxSkinColor* GridLikeControlContentColor = nullptr;
  TdxSkinColor* GridLikeControlContentEvenColor = nullptr;
  TdxSkinColor* GridLikeControlContentOddColor = nullptr;
  TdxSkinColor* GridLikeControlContentTextColor = nullptr;
  TdxSkinColor* GridLikeControlBackgroundColor = nullptr;

  // ---- Scroll bars: [horizontal][TcxScrollBarPart]; the sbpNone cells stay empty.
  std::unique_ptr<TdxSkinScrollInfo> ScrollBar_Elements[2][6];

 protected:
  virtual void FinalizeSkinInfo();
  virtual void InitializeSkinInfo();

  // A group of that name added to the skin, marked unassigned and unused.
  TdxSkinControlGroup* CreateBlankGroup(const String& AName);
  // An element of that name added to the group, drawn as a red cross on black.
  TdxSkinElement* CreateBlankElement(TdxSkinControlGroup* AGroup, const String& AName);

 private:
  void InitializeGroups();
  void InitializeBarElements();
  void InitializeCommonElements();
  void InitializeDockControlElements();
  void InitializeEditorElements();
  void InitializeFormElements();
  void InitializeGridElements();
  void InitializeMapControlElements();
  void InitializeNavBarElements();
  void InitializeNavPaneElements();
  void InitializePDFViewerElements();
  void InitializePrintingSystemElements();
  void InitializeRibbonElements();
  void InitializeRichEditElements();
  void InitializeSchedulerElements();
  void InitializePageControlElements();
  void InitializeTileControlElements();
  void InitializeVGridElements();
  void InitializeScrollBarElements();
  void InitializeColors();

  TdxSkin* FSkin = nullptr;
};

// The skin information that a skin painter creates.
class TdxSkinLookAndFeelPainterInfo : public TdxSkinInfo {
  QD_CLASS(TdxSkinLookAndFeelPainterInfo, TdxSkinInfo)

 public:
  using TdxSkinInfo::TdxSkinInfo;
};

}  // namespace qd
