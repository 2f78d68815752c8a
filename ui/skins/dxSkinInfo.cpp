#include "ui/skins/dxSkinInfo.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "platform/base/exceptions.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/graphics/dxCoreGraphicsAlphaColors.h"
#include "ui/graphics/dxGDIPlusImage.h"

namespace qd {

namespace {

const Char* const SkinInfoGroupBoxNames[4] = {u"GroupPanelTop", u"GroupPanelBottom", u"GroupPanelLeft",
                                              u"GroupPanelRight"};
const Char* const SkinInfoGroupBoxCaptionNames[4] = {u"GroupPanelCaptionTop", u"GroupPanelCaptionBottom",
                                                     u"GroupPanelCaptionLeft", u"GroupPanelCaptionRight"};
const Char* const SkinInfoLayoutViewRecordNames[4] = {u"LayoutViewRecordTop", u"LayoutViewRecordBottom",
                                                      u"LayoutViewRecordLeft", u"LayoutViewRecordRight"};
const Char* const SkinInfoLayoutViewRecordCaptionNames[4] = {
    u"LayoutViewRecordCaptionTop", u"LayoutViewRecordCaptionBottom", u"LayoutViewRecordCaptionLeft",
    u"LayoutViewRecordCaptionRight"};
const Char* const SkinInfoLayoutViewElementNames[6] = {
    u"LayoutViewGroup",     u"LayoutViewGroupWithoutBorders",     u"LayoutViewTabbedGroup",
    u"LayoutViewRootGroup", u"LayoutViewRootGroupWithoutBorders", u"LayoutViewItem"};
const Char* const SkinInfoSliderArrowNames[4] = {u"SliderArrowTop", u"SliderArrowBottom", u"SliderArrowLeft",
                                                 u"SliderArrowRight"};
const Char* const SkinInfoMapShapePrefixes[5] = {u"", u"", u"Highlighted", u"Selected", u""};

// The typed property of that name, nil when absent; another class is a failed checked cast.
template <class T>
T* SkinInfoCastProperty(TdxSkinProperty* AProperty) {
  if (!AProperty) return nullptr;
  if (!AProperty->InheritsFrom(T::StaticClass())) throw EInvalidCast(u"Invalid class typecast");
  return static_cast<T*>(AProperty);
}

TColor SkinInfoTextColor(TdxSkinElement* AElement) {
  return AElement ? AElement->TextColor() : clDefault;
}

}  // namespace

QD_IMPLEMENT_CLASS(TdxSkinScrollInfo)
QD_IMPLEMENT_CLASS(TdxSkinInfo)
QD_IMPLEMENT_CLASS(TdxSkinLookAndFeelPainterInfo)

// ---- TdxSkinScrollInfo ----------------------------------------------------------------------

bool TdxSkinScrollInfo::DrawScaled(HDC DC, const TRect& R, const TdxScaleFactor* AScaleFactor,
                                   TdxSkinElementState AState) {
  return DrawScaled(DC, R, AScaleFactor, AState, FImageIndex);
}

bool TdxSkinScrollInfo::DrawScaled(HDC DC, const TRect& R, const TdxScaleFactor* AScaleFactor,
                                   TdxSkinElementState AState, int32_t AImageIndex) {
  if (!FElement) return false;
  FElement->Draw(DC, R, AScaleFactor, AImageIndex, AState);
  return true;
}

bool TdxSkinScrollInfo::Draw(HDC DC, const TRect& R, TdxSkinElementState AState) {
  return DrawScaled(DC, R, dxSystemScaleFactor(), AState);
}

bool TdxSkinScrollInfo::Draw(HDC DC, const TRect& R, TdxSkinElementState AState, int32_t AImageIndex) {
  return DrawScaled(DC, R, dxSystemScaleFactor(), AState, AImageIndex);
}

// ---- TdxSkinElementHelper -------------------------------------------------------------------

TSize TdxSkinElementHelper::CalculateCaptionButtonSize(int32_t ACaptionHeight, TdxSkinElement* AElement) {
  float ratio = 1.0f;
  if (AElement && AElement->MinSize()->Height() > 0)
    ratio =
        static_cast<float>(AElement->MinSize()->Width()) / static_cast<float>(AElement->MinSize()->Height());
  // Halves to even, as the default rounding mode does.
  TSize result{static_cast<int32_t>(std::nearbyint(static_cast<double>(ACaptionHeight) * ratio)),
               ACaptionHeight};
  if (AElement && AElement->Image()->Stretch() == smNoResize) {
    const TSize imageSize = AElement->Image()->Size();
    if ((result.cx - imageSize.cx) % 2 != 0) --result.cx;
    if ((result.cy - imageSize.cy) % 2 != 0) --result.cy;
  }
  return result;
}

bool TdxSkinElementHelper::IsAlternateImageSetUsed(TdxSkinElement* AElement, int32_t AImageIndex,
                                                   TdxSkinElementState AState) {
  if (!AElement) return false;
  TdxSkinAlternateImageAttributes* attributes = nullptr;
  const bool lowColors = dxGpIsDoubleBufferedNeeded(cxScreenCanvas()->Handle());
  const bool result = AElement->CanUseAlternateImageSet(AImageIndex, AState, attributes, lowColors);
  cxScreenCanvas()->Dormant();
  return result;
}

// ---- TdxSkinInfo: life cycle ----------------------------------------------------------------

TdxSkinInfo::TdxSkinInfo(TdxSkin* ASkin) {
  try {
    SetSkin(ASkin);
  } catch (...) {
    // A failed construction still frees the skin it was given, as destruction would.
    FinalizeSkinInfo();
    if (FSkin) FSkin->RemoveListener(this);
    FSkin = nullptr;
    delete ASkin;
    throw;
  }
}

TdxSkinInfo::~TdxSkinInfo() {
  std::unique_ptr<TdxSkin> skin(FSkin);
  SetSkin(nullptr);
}

void TdxSkinInfo::SetSkin(TdxSkin* ASkin) {
  if (ASkin == FSkin) return;
  if (FSkin) {
    FinalizeSkinInfo();
    FSkin->RemoveListener(this);
    FSkin = nullptr;
  }
  if (ASkin) {
    FSkin = ASkin;
    InitializeSkinInfo();
    FSkin->AddListener(this);
  }
}

void TdxSkinInfo::SkinChanged() {
  FinalizeSkinInfo();
  InitializeSkinInfo();
}

void TdxSkinInfo::FinalizeSkinInfo() {
  for (auto& row : ScrollBar_Elements)
    for (auto& cell : row) cell.reset();
}

void TdxSkinInfo::InitializeSkinInfo() {
  InitializeGroups();
  InitializeBarElements();
  InitializeFormElements();
  InitializeDockControlElements();
  InitializeCommonElements();
  InitializeEditorElements();
  InitializeGridElements();
  InitializeNavBarElements();
  InitializeNavPaneElements();
  InitializeSchedulerElements();
  InitializePageControlElements();
  InitializeScrollBarElements();
  InitializeRibbonElements();
  InitializeRichEditElements();
  InitializeTileControlElements();
  InitializePrintingSystemElements();
  InitializePDFViewerElements();
  InitializeMapControlElements();
  InitializeVGridElements();
  InitializeColors();
}

// ---- TdxSkinInfo: lookups -------------------------------------------------------------------

TdxSkinControlGroup* TdxSkinInfo::CreateBlankGroup(const String& AName) {
  TdxSkinControlGroup* group = FSkin->AddGroup(AName);
  group->SetState({sosUnassigned, sosUnused});
  return group;
}

TdxSkinElement* TdxSkinInfo::CreateBlankElement(TdxSkinControlGroup* AGroup, const String& AName) {
  TdxSkinElement* element = AGroup->AddElement(AName);
  if (!element) return nullptr;
  element->Image()->SetStates({esNormal});
  element->Image()->SetStretch(smStretch);
  element->SetState({sosUnassigned, sosUnused});
  TcxBitmap32 bitmap(32, 32, true);
  TCanvas* canvas = bitmap.Canvas();
  canvas->Pen()->SetColor(clRed);
  canvas->Pen()->SetWidth(2);
  canvas->MoveTo(0, 0);
  canvas->LineTo(32, 32);
  canvas->MoveTo(0, 32);
  canvas->LineTo(32, 0);
  bitmap.MakeOpaque();
  element->Image()->Texture()->SetBitmap(&bitmap);
  return element;
}

void TdxSkinInfo::MarkObjectUsed(TdxSkinCustomObject* AObject) {
  if (AObject) AObject->SetState(AObject->State() - TdxSkinObjectStates{sosUnused});
}

TdxSkinControlGroup* TdxSkinInfo::GetGroupByName(const String& AName) {
  if (!FSkin) return nullptr;
  TdxSkinControlGroup* group = FSkin->GetGroupByName(AName);
  if (!group) group = CreateBlankGroup(AName);
  MarkObjectUsed(group);
  return group;
}

TdxSkinElement* TdxSkinInfo::GetElementByName(TdxSkinControlGroup* AGroup, const String& AName,
                                              bool ACreateIfNotExists) {
  if (!AGroup) return nullptr;
  TdxSkinElement* element = AGroup->GetElementByName(AName);
  if (!element && ACreateIfNotExists) element = CreateBlankElement(AGroup, AName);
  MarkObjectUsed(element);
  return element;
}

TdxSkinProperty* TdxSkinInfo::GetPropertyByName(TdxSkinPersistent* AObject, const String& AName) {
  if (!AObject) return nullptr;
  TdxSkinProperty* property = AObject->GetPropertyByName(AName);
  MarkObjectUsed(property);
  return property;
}

TdxSkinColor* TdxSkinInfo::GetColorByName(TdxSkinPersistent* AObject, const String& AName) {
  return SkinInfoCastProperty<TdxSkinColor>(GetPropertyByName(AObject, AName));
}

TdxSkinColor* TdxSkinInfo::GetColorByName(const String& AName) {
  return FSkin ? FSkin->GetColorByName(AName) : nullptr;
}

TColor TdxSkinInfo::GetColorValueByName(TdxSkinPersistent* AObject, const String& AName) {
  TdxSkinColor* color = GetColorByName(AObject, AName);
  return color ? color->Value() : clDefault;
}

TdxAlphaColor TdxSkinInfo::GetAlphaColorValueByName(TdxSkinPersistent* AObject, const String& AName) {
  const TColor color = GetColorValueByName(AObject, AName);
  const int32_t alpha = GetIntegerPropertyValue(AObject, AName + u"Alpha", 255);
  return dxColorToAlphaColor(color, static_cast<uint8_t>(std::clamp(alpha, 0, 255)));
}

TdxSkinBooleanProperty* TdxSkinInfo::GetBoolPropertyByName(TdxSkinPersistent* AObject, const String& AName) {
  return SkinInfoCastProperty<TdxSkinBooleanProperty>(GetPropertyByName(AObject, AName));
}

TdxSkinIntegerProperty* TdxSkinInfo::GetIntegerPropertyByName(TdxSkinPersistent* AObject,
                                                              const String& AName) {
  return SkinInfoCastProperty<TdxSkinIntegerProperty>(GetPropertyByName(AObject, AName));
}

TdxSkinRectProperty* TdxSkinInfo::GetRectPropertyByName(TdxSkinPersistent* AObject, const String& AName) {
  return SkinInfoCastProperty<TdxSkinRectProperty>(GetPropertyByName(AObject, AName));
}

int32_t TdxSkinInfo::GetIntegerPropertyValue(TdxSkinPersistent* AObject, const String& AName,
                                             int32_t ADefault) {
  TdxSkinIntegerProperty* property = GetIntegerPropertyByName(AObject, AName);
  return property ? property->Value() : ADefault;
}

void TdxSkinInfo::SetUseCache(TdxSkinElement* AElement, int32_t ACapacity) {
  if (!AElement) return;
  AElement->SetUseCache(true);
  if (ACapacity > 0) AElement->SetCacheCapacity(ACapacity);
}

// ---- TdxSkinInfo: resolution ----------------------------------------------------------------

void TdxSkinInfo::InitializeGroups() {
  GroupBars = GetGroupByName(u"Bars");
  GroupCommon = GetGroupByName(u"Common");
  GroupDocking = GetGroupByName(u"Docking");
  GroupEditors = GetGroupByName(u"Editors");
  GroupForm = GetGroupByName(u"Form");
  GroupGrid = GetGroupByName(u"Grid");
  GroupMapControl = GetGroupByName(u"MapControl");
  GroupNavBar = GetGroupByName(u"NavBar");
  GroupNavPane = GetGroupByName(u"NavPane");
  GroupPDFViewer = GetGroupByName(u"PDFViewer");
  GroupPrintingSystem = GetGroupByName(u"PrintingSystem");
  GroupRibbon = GetGroupByName(u"Ribbon");
  GroupRichEdit = GetGroupByName(u"RichEdit");
  GroupScheduler = GetGroupByName(u"Scheduler");
  GroupTabs = GetGroupByName(u"PageControl");
  GroupTileControl = GetGroupByName(u"TileControl");
  GroupVGrid = GetGroupByName(u"VerticalGrid");
}

void TdxSkinInfo::InitializeBarElements() {
  auto* g = GroupBars;
  auto E = [&](const Char* AName) { return GetElementByName(g, AName, true); };
  Bar = E(u"Bar");
  BarCustomize = E(u"BarCustomize");
  BarCustomizeVertical = E(u"BarCustomizeVertical");
  BarDrag = E(u"BarDragGrip");
  BarDragVertical = E(u"BarDragGripVertical");
  BarMDIButtonClose = E(u"MDIButtonClose");
  BarMDIButtonMinimize = E(u"MDIButtonMinimize");
  BarMDIButtonRestore = E(u"MDIButtonRestore");
  BarSeparator = E(u"BarSeparator");
  BarVertical = E(u"BarVertical");
  BarVerticalSeparator = E(u"BarSeparatorVertical");
  Dock = E(u"Dock");
  FloatingBar = E(u"FloatBar");
  ItemSeparator = E(u"ItemSeparator");
  LinkBorderPainter = E(u"LinkStatic");
  LinkSelected = E(u"LinkSelected");
  MainMenu = E(u"MainMenu");
  MainMenuCustomize = GetElementByName(g, u"MainMenuCustomize", false);
  MainMenuDrag = GetElementByName(g, u"MainMenuDrag", false);
  MainMenuLinkSelected = E(u"MainMenuLinkSelected");
  MainMenuVertical = E(u"MainMenuVertical");
  PopupMenu = E(u"PopupMenu");
  PopupMenuCheck = E(u"PopupMenuCheck");
  PopupMenuExpandButton = E(u"PopupMenuExpandButton");
  PopupMenuLinkSelected = E(u"PopupMenuLinkSelected");
  PopupMenuSeparator = E(u"PopupMenuSeparator");
  PopupMenuSideStrip = E(u"PopupMenuSideStrip");
  PopupMenuSideStripNonRecent = E(u"PopupMenuSideStripNonRecent");
  PopupMenuSplitButton = E(u"PopupMenuDropDownButtonLabel");
  PopupMenuSplitButton2 = E(u"PopupMenuDropDownButtonArrow");
  FormStatusBar = E(u"StatusBar");
  ScreenTipWindow = E(u"ScreenTipWindow");
  ScreenTipSeparator = E(u"ScreenTipSeparator");
  BarDisabledTextColor = GetColorByName(g, u"DisabledTextColor");
  ScreenTipItem = GetColorByName(ScreenTipWindow, u"ScreenTipItem");
  ScreenTipTitleItem = GetColorByName(ScreenTipWindow, u"ScreenTipTitleItem");
}

void TdxSkinInfo::InitializeFormElements() {
  auto* g = GroupForm;
  auto E = [&](const Char* AName) { return GetElementByName(g, AName, true); };
  for (auto& row : FormIcons)
    for (auto*& icon : row) icon = nullptr;
  FormIcons[false][5] = E(u"SmallFormButtonClose");
  FormIcons[true][1] = E(u"FormButtonHelp");
  FormIcons[true][2] = E(u"FormButtonMinimize");
  FormIcons[true][3] = E(u"FormButtonMaximize");
  FormIcons[true][4] = E(u"FormButtonRestore");
  FormIcons[true][5] = E(u"FormButtonClose");
  for (int normal = 0; normal < 2; ++normal) {
    FormFrames[normal][bLeft] = E(u"FormFrameLeft");
    FormFrames[normal][bTop] = E(normal ? u"FormCaption" : u"SmallFormCaption");
    FormFrames[normal][bRight] = E(u"FormFrameRight");
    FormFrames[normal][bBottom] = E(u"FormFrameBottom");
  }
  FormContent = E(u"FormContent");
  FormInactiveColor = GetColorByName(g, u"TextColorInactive");
  FormTextShadowColor = GetColorByName(g, u"TextShadowColor");
  TdxSkinElement* caption = FormFrames[true][bTop];
  FormCaptionFontDelta = std::max(1, GetIntegerPropertyValue(caption, u"FontDelta", 0));
  FormCaptionFontIsBold = GetBoolPropertyByName(caption, u"FontBold");
}

void TdxSkinInfo::InitializeDockControlElements() {
  auto* g = GroupDocking;
  auto E = [&](const Char* AName) { return GetElementByName(g, AName, true); };
  DockControlHideBarButtons = E(u"TabHeaderAutoHideBar");
  DockControlTabButtonHorz = E(u"TabButtonHorz");
  DockControlTabButtonVert = E(u"TabButtonVert");
  DockControlTabHeader = E(u"TabHeader");
  DockControlTabHeaderBackground = E(u"TabHeaderBackground");
  DockControlTabHeaderCloseButton = E(u"TabHeaderCloseButton");
  DockControlTabHeaderLine = E(u"TabHeaderLine");
  DockControlWindowButton = E(u"DockWindowButton");
  DockControlWindowButtonGlyphs = E(u"DockWindowButtonGlyphs");
  DockControlHideBar = E(u"AutoHideBar");
  DockControlHideBarLeft = E(u"AutoHideBarLeft");
  DockControlHideBarRight = E(u"AutoHideBarRight");
  DockControlHideBarBottom = E(u"AutoHideBarBottom");
  DockControlCaption = E(u"DockWindowCaption");
  DockControlBorder = E(u"DockWindowBorder");
  DockSiteContentColor = GetColorByName(g, u"DockSiteContentColor");
  DockControlTabTextColor[false] = GetColorByName(g, u"TabHeaderTextColor");
  DockControlTabTextColor[true] = GetColorByName(g, u"TabHeaderTextColorActive");
  DockControlIndents[0] = GetIntegerPropertyValue(g, u"ActiveTabHeaderDownGrow", 0);
  DockControlIndents[1] = GetIntegerPropertyValue(g, u"ActiveTabHeaderHGrow", 0);
  DockControlIndents[2] = GetIntegerPropertyValue(g, u"ActiveTabHeaderUpGrow", 0);
  DockControlCaptionNonFocusedTextColor =
      GetColorValueByName(DockControlCaption, u"InactiveCaptionTextColor");
}

void TdxSkinInfo::InitializeCommonElements() {
  auto* g = GroupCommon;
  auto E = [&](const Char* AName) { return GetElementByName(g, AName, true); };
  AlertWindow = E(u"AlertWindow");
  AlertWindowButton = E(u"AlertWindowButton");
  AlertWindowButtonGlyphs = E(u"AlertWindowButtonGlyphs");
  AlertWindowCaption = E(u"AlertWindowCaption");
  AlertWindowNavigationPanel = E(u"AlertWindowNavigationPanel");
  AlertWindowNavigationPanelButton = E(u"AlertWindowNavigationPanelButton");
  AlertWindowCornerRadius = GetIntegerPropertyValue(AlertWindow, u"CornerRadius", 0);
  BackButton = E(u"BackButton");
  ButtonElements = E(u"Button");
  ButtonDisabled = GetColorByName(ButtonElements, u"DisabledText");
  DropDownButtonLeft = E(u"DropDownButtonLeft");
  DropDownButtonRight = E(u"DropDownButtonRight");
  LoadingBig = E(u"LoadingBig");
  GroupBoxClient = E(u"GroupPanelNoBorder");
  GroupButton = E(u"GroupButton");
  GroupButtonExpandGlyph = E(u"GroupButtonExpandGlyph");
  for (int i = 0; i < 4; ++i) {
    GroupBoxElements[i] = E(SkinInfoGroupBoxNames[i]);
    GroupBoxCaptionElements[i] = E(SkinInfoGroupBoxCaptionNames[i]);
  }
  GroupBoxElements[cxgpCenter] = E(u"GroupPanel");
  GroupBoxCaptionElements[cxgpCenter] = GetElementByName(g, String(), false);
  for (int i = 0; i < 5; ++i) {
    GroupBoxCaptionTailSizes[i] = GetIntegerPropertyByName(GroupBoxCaptionElements[i], u"TailSize");
    GroupBoxCaptionTextPadding[i] = GetIntegerPropertyByName(GroupBoxCaptionElements[i], u"TextPadding");
  }
  GaugeBackground = E(u"GaugeBackground");
  Header = E(u"Header");
  HeaderSpecial = E(u"HeaderSpecial");
  SortGlyphs = E(u"SortShape");
  HighlightedItem = E(u"HighlightedItem");
  SetUseCache(HighlightedItem);
  SizeGrip = E(u"SizeGrip");
  Splitter[false] = E(u"Splitter");
  Splitter[true] = E(u"SplitterHorz");
}

void TdxSkinInfo::InitializeEditorElements() {
  auto* g = GroupEditors;
  auto E = [&](const Char* AName) { return GetElementByName(g, AName, true); };
  auto C = [&](const Char* AName) { return GetColorByName(g, AName); };
  BreadcrumbEditButton = E(u"BreadcrumbEditButton");
  BreadcrumbEditButtonsAreaSeparator = E(u"BreadcrumbEditButtonsAreaSeparator");
  BreadcrumbEditDropDownButton = E(u"BreadcrumbEditDropDownButton");
  BreadcrumbEditNodeButton = E(u"BreadcrumbEditNodeButton");
  BreadcrumbEditNodeSplitButtonLeft = E(u"BreadcrumbEditNodeSplitButtonLeft");
  BreadcrumbEditNodeSplitButtonRight = E(u"BreadcrumbEditNodeSplitButtonRight");
  BreadcrumbEditProgressChunk = E(u"BreadcrumbEditProgressChunk");
  BreadcrumbEditProgressChunkOverlay = E(u"BreadcrumbEditProgressChunkOverlay");
  CalendarNavigationButton = E(u"CalendarNavigationButton");
  CheckboxElement = E(u"Checkbox");
  ClockElements[false] = E(u"ClockFace");
  ClockElements[true] = E(u"ClockGlass");
  LabelLine[false] = E(u"LabelLine");
  LabelLine[true] = E(u"LabelLineVert");
  ZoomInButton = E(u"ZoomInButton");
  ZoomOutButton = E(u"ZoomOutButton");
  EditButtonElements[false] = E(u"EditorButton");
  EditButtonElements[true] = E(u"CloseButton");
  SetUseCache(EditButtonElements[false]);
  const Char* const glyphNames[8] = {u"CloseButton",   u"ComboButtonGlyph", u"EditorButton",
                                     u"EditorButton",  u"SpinUpGlyph",      u"SpinDownGlyph",
                                     u"SpinLeftGlyph", u"SpinRightGlyph"};
  for (int i = 0; i < 8; ++i) EditButtonGlyphs[i] = E(glyphNames[i]);
  EditButtonSearchGlyph = E(u"SearchButtonGlyph");
  for (int i = 0; i < 4; ++i) SliderArrow[i] = E(SkinInfoSliderArrowNames[i]);
  GalleryBackground = E(u"GalleryBackground");
  GalleryGroup = E(u"GalleryGroup");
  GalleryItem = E(u"GalleryItem");
  GalleryItemGlyphFrame = E(u"GalleryItemGlyphFrame");
  RatingIndicator = E(u"RatingIndicator");
  NavigatorButton = E(u"NavigatorButton");
  NavigatorGlyphs = E(u"Navigator");
  NavigatorGlyphsVert = E(u"NavigatorVert");
  ProgressBarElements[0] = E(u"ProgressBorder");
  ProgressBarElements[1] = E(u"ProgressBorderVert");
  ProgressBarElements[2] = E(u"ProgressChunk");
  ProgressBarElements[3] = E(u"ProgressChunkVert");
  RadioGroupButton = E(u"RadioButton");
  RangeControlBorder = E(u"RangeControlBorder");
  RangeControlLeftThumb = E(u"RangeControlLeftThumb");
  RangeControlRightThumb = E(u"RangeControlRightThumb");
  RangeControlRulerHeader = E(u"RangeControlRulerHeader");
  RangeControlSizingGlyph = E(u"RangeControlSizingGlyph");
  ToggleSwitch = E(u"ToggleSwitch");
  ToggleSwitchThumb = E(u"ToggleSwitchThumb");
  RangeTrackBarThumbLeft = E(u"RangeTrackBarThumbLeft");
  RangeTrackBarThumbRight = E(u"RangeTrackBarThumbRight");
  RangeTrackBarThumbBoth = E(u"RangeTrackBarThumbBoth");
  TrackBarTrack[true] = E(u"TrackBarTrack");
  TrackBarTrack[false] = E(u"TrackBarTrackVert");
  TrackBarThumb[true][tbtaUp] = E(u"TrackBarThumbUp");
  TrackBarThumb[true][tbtaDown] = E(u"TrackBarThumb");
  TrackBarThumb[true][tbtaBoth] = E(u"TrackBarThumbBoth");
  TrackBarThumb[false][tbtaUp] = E(u"TrackBarThumbVertUp");
  TrackBarThumb[false][tbtaDown] = E(u"TrackBarThumbVert");
  TrackBarThumb[false][tbtaBoth] = E(u"TrackBarThumbVertBoth");

  const Char* const breadcrumbStates[4] = {u"", u"Focused", u"Hot", u"Disabled"};
  for (int i = 0; i < 4; ++i) {
    BreadcrumbEditBackgroundColors[i] =
        C((String(u"BreadcrumbEditBackground") + breadcrumbStates[i] + u"Color").c_str());
    BreadcrumbEditBordersColors[i] =
        C((String(u"BreadcrumbEditBorder") + breadcrumbStates[i] + u"Color").c_str());
  }
  for (int i = 0; i < dxCalcButtonKindCount; ++i) {
    const Char* name = i <= 2    ? u"CalcEditEditingOperationTextColor"
                       : i <= 6  ? u"CalcEditMemoryOperationTextColor"
                       : i <= 18 ? u"CalcEditDigitTextColor"
                       : i <= 22 ? u"CalcEditArithmeticOperationTextColor"
                                 : u"CalcEditScientificOperationTextColor";
    CalcEditButtonTextColors[i] = C(name);
  }
  CalendarDayTextColor = C(u"CalendarDayTextColor");
  CalendarHolidayTextColor = C(u"CalendarHolidayTextColor");
  CalendarInactiveDayTextColor = C(u"CalendarInactiveDayTextColor");
  CalendarSelectedDayTextColor = C(u"CalendarSelectedDayTextColor");
  CalendarSelectedDayColor = C(u"CalendarSelectedDayColor");
  CalendarSeparatorColor = C(u"CalendarSeparatorColor");
  CalendarTodayFrameColor = C(u"CalendarTodayFrameColor");
  CalendarTodayTextColor = C(u"CalendarTodayTextColor");
  HyperLinkTextColor = C(u"HyperLinkTextColor");
  const Char* const stateKinds[4] = {u"", u"Disabled", u"Inactive", u"ReadOnly"};
  for (int i = 0; i < 4; ++i) {
    EditorTextColors[i] = C((String(u"Text") + stateKinds[i] + u"Color").c_str());
    EditorBackgroundColors[i] = C((String(u"Background") + stateKinds[i] + u"Color").c_str());
  }
  BevelShapeColor1 = C(u"BevelShapeColor1");
  BevelShapeColor2 = C(u"BevelShapeColor2");
  NavigatorInfoPanelColor = C(u"NavigatorInfoPanelColor");
  NavigatorInfoPanelTextColor = C(u"NavigatorInfoPanelTextColor");
  ProgressBarTextColors[false] = C(u"ProgressBarEmptyTextColor");
  ProgressBarTextColors[true] = C(u"ProgressBarFilledTextColor");
  TrackBarTickColor = C(u"TrackBarTickColor");
  BreadcrumbEditProgressChunkPadding = GetRectPropertyByName(g, u"BreadcrumbEditProgressChunkPadding");

  auto merge = [&](TdxSkinElement* AElement) {
    TdxSkinBooleanProperty* property = GetBoolPropertyByName(AElement, u"MergeBorders");
    return property && property->Value();
  };
  BreadcrumbEditButtonMergeBorders = merge(BreadcrumbEditButton);
  EditButtonMergeBorders = merge(EditButtonElements[false]);
  ToggleSwitchTextMargin = GetIntegerPropertyByName(ToggleSwitch, u"TextMargin");

  auto* border = RangeControlBorder;
  RangeControlDefaultElementColor = GetColorByName(border, u"DefaultElementColor");
  RangeControlElementBaseColor = GetColorByName(border, u"ElementBaseColor");
  RangeControlElementForeColor = GetColorByName(border, u"ElementForeColor");
  RangeControlLabelColor = GetColorByName(border, u"LabelColor");
  RangeControlRangePreviewColor = GetColorByName(border, u"RangePreviewColor");
  RangeControlScrollAreaColor = GetColorByName(border, u"ScrollAreaColor");
  RangeControlViewPortPreviewColor = GetColorByName(border, u"ViewPortPreviewColor");
  RangeControlElementFontSize = GetIntegerPropertyByName(border, u"ElementFontSize");
  RangeControlScrollAreaHeight = GetIntegerPropertyByName(border, u"ScrollAreaHeight");
  RangeControlOutOfRangeColorMask = GetAlphaColorValueByName(border, u"OutOfRangeColorMask");
  RangeControlRuleColor = GetAlphaColorValueByName(border, u"RuleColor");
  RangeControlSelectionBorderColor = GetAlphaColorValueByName(border, u"SelectionBorderColor");
  RangeControlSelectionColor = GetAlphaColorValueByName(border, u"SelectionColor");
  RangeControlBackColor = GetAlphaColorValueByName(border, u"BackColor");
  RangeControlInnerBorderColor = GetAlphaColorValueByName(border, u"InnerBorderColor");
}

void TdxSkinInfo::InitializeGridElements() {
  auto* g = GroupGrid;
  auto E = [&](const Char* AName) { return GetElementByName(g, AName, true); };
  ExpandButton = E(u"PlusMinus");
  FilterButtons[false] = E(u"FilterButton");
  FilterButtons[true] = E(u"FilterButtonActive");
  SmartFilterButton = E(u"SmartFilterButton");
  FilterPanel = E(u"GridFilterPanel");
  FooterCell = E(u"FooterCell");
  FooterPanel = E(u"FooterPanel");
  GridFixedLine = E(u"GridFixedLine");
  CardViewSeparator = E(u"CardSeparator");
  GridGroupByBox = E(u"GridGroupPanel");
  GridGroupRow = E(u"GroupRow");
  GridLine = E(u"GridLine");
  GridWinExplorerViewGroup = E(u"WinExplorerViewGroup");
  GridWinExplorerViewGroupCaptionLine = E(u"WinExplorerViewGroupCaptionLine");
  GridWinExplorerViewGroupExpandButton = E(u"WinExplorerViewGroupExpandButton");
  GridWinExplorerViewRecord = E(u"WinExplorerViewRecord");
  IndicatorImages = E(u"IndicatorImages");
  LayoutViewItem = E(u"LayoutViewItem");
  LayoutViewRecordExpandButton = E(u"LayoutViewRecordExpandButton");
  for (int i = 0; i < 4; ++i) {
    LayoutViewRecordElements[i] = E(SkinInfoLayoutViewRecordNames[i]);
    LayoutViewRecordCaptionElements[i] = E(SkinInfoLayoutViewRecordCaptionNames[i]);
  }
  LayoutViewRecordElements[cxgpCenter] = E(u"LayoutViewRecord");
  LayoutViewRecordCaptionElements[cxgpCenter] = GetElementByName(g, String(), false);
  for (int i = 0; i < 6; ++i) {
    LayoutViewElementPadding[i] =
        GetRectPropertyByName(g, String(SkinInfoLayoutViewElementNames[i]) + u"Padding");
    LayoutViewElementSpacing[i] =
        GetRectPropertyByName(g, String(SkinInfoLayoutViewElementNames[i]) + u"Spacing");
  }
  GridGroupRowStyleOffice11ContentColor = GetColorByName(GridGroupRow, u"Office11ContentColor");
  GridGroupRowStyleOffice11SeparatorColor = GetColorByName(GridGroupRow, u"Office11SeparatorColor");
  GridGroupRowStyleOffice11TextColor = GetColorByName(GridGroupRow, u"Office11TextColor");
  for (int i = 0; i < 5; ++i) {
    LayoutViewRecordCaptionTailSizes[i] =
        GetIntegerPropertyByName(LayoutViewRecordCaptionElements[i], u"TailSize");
    LayoutViewRecordCaptionTextPadding[i] =
        GetIntegerPropertyByName(LayoutViewRecordCaptionElements[i], u"TextPadding");
  }
}

void TdxSkinInfo::InitializeNavBarElements() {
  auto* g = GroupNavBar;
  auto E = [&](const Char* AName) { return GetElementByName(g, AName, true); };
  NavBarAccordionControlBackground = E(u"AccordionControlBackground");
  NavBarAccordionControlGroup = E(u"AccordionControlGroup");
  NavBarAccordionControlGroupCloseButton = E(u"AccordionControlGroupCloseButton");
  NavBarAccordionControlGroupOpenButton = E(u"AccordionControlGroupOpenButton");
  NavBarAccordionControlItem = E(u"AccordionControlItem");
  NavBarAccordionControlRootGroup = E(u"AccordionControlRootGroup");
  NavBarAccordionControlRootGroupCloseButton = E(u"AccordionControlRootGroupCloseButton");
  NavBarAccordionControlRootGroupOpenButton = E(u"AccordionControlRootGroupOpenButton");
  NavBarAccordionControlSearchButton = E(u"AccordionControlSearchButton");
  NavBarBackgroundColor = E(u"Background");
  NavBarGroupClient = E(u"GroupClient");
  NavBarItem = E(u"Item");
  NavBarGroupHeader = E(u"GroupHeader");
  NavBarGroupButtons[true] = E(u"GroupCloseButton");
  NavBarGroupButtons[false] = E(u"GroupOpenButton");
  NavBarAccordionControlChildItemOffset = GetIntegerPropertyByName(g, u"ChildItemOffset");
  NavBarAccordionControlDistanceBetweenRootGroups = GetIntegerPropertyByName(g, u"DistanceBetweenRootGroups");
  NavBarAccordionControlContentContainerPadding = GetRectPropertyByName(g, u"ContentContainerPadding");
  NavBarAccordionControlSearchButtonGlyphToTextIndent =
      GetIntegerPropertyByName(NavBarAccordionControlSearchButton, u"GlyphToTextIndent");
}

void TdxSkinInfo::InitializeNavPaneElements() {
  auto* g = GroupNavPane;
  auto E = [&](const Char* AName) { return GetElementByName(g, AName, true); };
  NavPaneCollapseButton = E(u"CollapseButton");
  NavPaneCollapsedGroupClient = E(u"CollapsedGroupClient");
  NavPaneExpandButton = E(u"ExpandButton");
  NavPaneFormBorder = E(u"PopupBorder");
  NavPaneFormSizeGrip = E(u"PopupSizeGrip");
  NavPaneGroupButton[false] = E(u"GroupButton");
  NavPaneGroupButton[true] = E(u"GroupButtonSelected");
  NavPaneGroupCaption = E(u"Caption");
  NavPaneSplitter = E(u"Splitter");
  NavPaneScrollButtons[false] = E(u"ScrollUpButton");
  NavPaneScrollButtons[true] = E(u"ScrollDownButton");
  NavPaneOverflowPanel = E(u"OverflowPanel");
  NavPaneOverflowPanelItem = E(u"OverflowPanelItem");
  NavPaneOverflowPanelExpandedItem = E(u"OverflowPanelExpandItem");
  NavPaneGroupClient = E(u"GroupClient");
  NavPaneItem = E(u"Item");
  NavPaneSelectedItem = E(u"ItemSelected");
  NavPaneOfficeNavigationBar = E(u"OfficeNavigationBar");
  NavPaneOfficeNavigationBarItem = E(u"OfficeNavigationBarItem");
  NavPaneOfficeNavigationBarSkinningItem = E(u"OfficeNavigationBarSkinningItem");
  NavPaneCaptionHeight = GetIntegerPropertyByName(NavPaneGroupCaption, u"Height");
  NavPaneCaptionFontSize = GetIntegerPropertyByName(NavPaneGroupCaption, u"FontSize");
  NavPaneOfficeNavigationBarItemFontDelta =
      GetIntegerPropertyValue(NavPaneOfficeNavigationBarItem, u"FontDelta", 0);
  NavPaneOfficeNavigationBarSkinningItemFontDelta =
      GetIntegerPropertyValue(NavPaneOfficeNavigationBarSkinningItem, u"FontDelta", 0);
  // Read without marking it used.
  NavPaneOffsetGroupBorders =
      g ? SkinInfoCastProperty<TdxSkinBooleanProperty>(g->GetPropertyByName(u"OverlapGroupBorders"))
        : nullptr;
}

void TdxSkinInfo::InitializeSchedulerElements() {
  auto* g = GroupScheduler;
  auto E = [&](const Char* AName) { return GetElementByName(g, AName, true); };
  SchedulerTimeGridHeader[false] = E(u"TimeGridHeader");
  SchedulerTimeGridHeader[true] = E(u"TimeGridHeaderSelected");
  SchedulerTimeLine = E(u"DefaultTimeLine");
  SchedulerTimeRuler = E(u"Ruler");
  SchedulerMoreButton = E(u"MoreButton");
  SchedulerAppointment[false] = E(u"AppointmentRightBorder");
  SchedulerAppointment[true] = E(u"Appointment");
  SchedulerAllDayArea[false] = E(u"AllDayArea");
  SchedulerAllDayArea[true] = E(u"AllDayAreaSelected");
  SchedulerCurrentTimeIndicator = E(u"CurrentTimeIndicator");
  SchedulerAppointmentShadow[false] = E(u"AppointmentBottomShadow");
  SchedulerAppointmentShadow[true] = E(u"AppointmentRightShadow");
  SchedulerAppointmentMask = E(u"AppointmentMask");
  SchedulerGroup = E(u"Group");
  SchedulerMilestone = E(u"Milestone");
  SchedulerNavigationButtons[false] = E(u"NavButtonPrev");
  SchedulerNavigationButtons[true] = E(u"NavButtonNext");
  SchedulerNavigationButtonsArrow[false] = E(u"NavButtonPrevArrow");
  SchedulerNavigationButtonsArrow[true] = E(u"NavButtonNextArrow");
  SchedulerTimeGridCurrentTimeIndicator = E(u"TimeGridCurrentTimeIndicator");
  SchedulerLabelCircle = E(u"LabelCircle");
  for (int i = 0; i < 12; ++i) {
    char name[24];
    std::snprintf(name, sizeof(name), "ResourceColor%0.2d", i + 1);
    SchedulerResourceColors[i] = GetColorByName(g, String(name, name + std::char_traits<char>::length(name)));
  }
  SchedulerAppointmentBorderSize = GetIntegerPropertyByName(SchedulerAppointment[true], u"BorderSize");
  SchedulerAppointmentBorder = GetColorByName(SchedulerAppointment[true], u"SeparatorColor");
  SetUseCache(SchedulerAppointment[false], 64);
  SetUseCache(SchedulerAppointment[true], 64);
  SetUseCache(SchedulerAllDayArea[false]);
  SetUseCache(SchedulerAllDayArea[true]);
  SetUseCache(SchedulerTimeRuler);
}

void TdxSkinInfo::InitializePageControlElements() {
  auto* g = GroupTabs;
  auto E = [&](const Char* AName) { return GetElementByName(g, AName, true); };
  PageControlHeader = E(u"TabHeader");
  PageControlButton = E(u"TabButton");
  PageControlButtonHorz = E(u"TabButtonHorz");
  PageControlButtonVert = E(u"TabButtonVert");
  PageControlHeaderButton = E(u"TabHeaderButton");
  PageControlCloseButton = E(u"TabHeaderCloseButton");
  PageControlPane = E(u"TabPane");
  const Char* const indentNames[8] = {u"RowIndentFar",
                                      u"RowIndentNear",
                                      u"SelectedHeaderDownGrow",
                                      u"SelectedHeaderHGrow",
                                      u"SelectedHeaderUpGrow",
                                      u"HeaderDownGrow",
                                      u"HeaderDownGrowBottomRight",
                                      u"SelectedHeaderDownGrowBottomRight"};
  for (int i = 0; i < 8; ++i) PageControlIndents[i] = GetIntegerPropertyValue(g, indentNames[i], 0);
}

void TdxSkinInfo::InitializeScrollBarElements() {
  FinalizeSkinInfo();
  if (!FSkin) return;
  TdxSkinElement* button = GetElementByName(GroupCommon, u"ScrollButton", true);
  TdxSkinElement* thumb[2] = {GetElementByName(GroupCommon, u"ScrollThumbVert", true),
                              GetElementByName(GroupCommon, u"ScrollThumbHorz", true)};
  TdxSkinElement* content[2] = {GetElementByName(GroupCommon, u"ScrollContentVert", true),
                                GetElementByName(GroupCommon, u"ScrollContentHorz", true)};
  for (int horizontal = 0; horizontal < 2; ++horizontal) {
    auto& row = ScrollBar_Elements[horizontal];
    row[sbpLineUp] = std::make_unique<TdxSkinScrollInfo>(button, horizontal * 2);
    row[sbpLineDown] = std::make_unique<TdxSkinScrollInfo>(button, horizontal * 2 + 1);
    row[sbpThumbnail] = std::make_unique<TdxSkinScrollInfo>(thumb[horizontal], 0);
    row[sbpPageUp] = std::make_unique<TdxSkinScrollInfo>(content[horizontal], 0);
    row[sbpPageDown] = std::make_unique<TdxSkinScrollInfo>(content[horizontal], 0);
  }
}

void TdxSkinInfo::InitializeRibbonElements() {
  auto* g = GroupRibbon;
  auto E = [&](const Char* AName) { return GetElementByName(g, AName, true); };
  auto N = [&](const Char* AName) { return GetElementByName(g, AName, false); };
  RibbonApplicationBackground = E(u"AppMenuBackground");
  RibbonApplicationButton = E(u"FormAppButton");
  RibbonApplicationButton2010 = E(u"FormAppButton2010");
  RibbonApplicationFooterBackground = E(u"AppMenuBackgroundBottom");
  RibbonApplicationHeaderBackground = E(u"AppMenuBackgroundTop");
  RibbonExtraPanePinButtonGlyph = N(u"AppMenuExtraPanePinButtonGlyph");
  RibbonExtraPaneButton = E(u"AppMenuExtraPaneButton");
  RibbonBackstageView = E(u"BackstageViewBackground");
  RibbonBackstageViewBackButton = E(u"BackstageViewBackButton");
  RibbonBackstageViewImage = E(u"BackstageViewImage");
  RibbonBackstageViewMenu = E(u"BackstageViewMenuBackground");
  RibbonBackstageViewMenuHeader = E(u"BackstageViewMenuHeader");
  RibbonBackstageViewMenuButton = E(u"BackstageViewMenuButton");
  RibbonBackstageViewMenuSeparator = E(u"BackstageViewMenuSeparator");
  RibbonBackstageViewTab = E(u"BackstageViewTabHeader");
  RibbonBackstageViewTabArrow = N(u"BackstageViewTabHeaderArrow");
  RibbonCollapsedToolBarBackground = E(u"TabGroupCollapsed");
  RibbonCollapsedToolBarGlyphBackground = E(u"TabGroupCollapsedBox");
  RibbonFormButtonAutoHideModeShowUI = E(u"FormButtonAutoHideModeShowUI");
  RibbonFormButtonDisplayOptions = E(u"FormButtonDisplayOptions");
  RibbonFormButtonClose = E(u"FormButtonClose");
  RibbonFormButtonHelp = E(u"FormButtonHelp");
  RibbonFormButtonMaximize = E(u"FormButtonMaximize");
  RibbonFormButtonMinimize = E(u"FormButtonMinimize");
  RibbonFormButtonRestore = E(u"FormButtonRestore");
  RibbonFormCaption = E(u"FormCaption");
  RibbonFormCaptionRibbonHidden = N(u"FormCaptionRibbonHidden");
  RibbonFormContent = E(u"FormContent");
  RibbonFormBottom[false] = E(u"FormFrameBottom");
  RibbonFormBottom[true] = E(u"DialogFrameBottom");
  RibbonFormLeft[false] = E(u"FormFrameLeft");
  RibbonFormLeft[true] = E(u"DialogFrameLeft");
  RibbonFormRight[false] = E(u"FormFrameRight");
  RibbonFormRight[true] = E(u"DialogFrameRight");
  RibbonMinimizeButtonGlyph = E(u"MinimizeButtonGlyph");
  RibbonTab = E(u"Tab");
  RibbonTabPanel = E(u"TabPanel");
  RibbonTabPanelGroupButton = E(u"TabGroupButton");
  RibbonTabSeparatorLine = E(u"TabSeparatorLine");
  RibbonTabGroup = E(u"TabGroup");
  RibbonTabGroupHeader = E(u"TabGroupCaption");
  RibbonTabGroupItemsSeparator = E(u"TabGroupItemsSeparator");
  RibbonGalleryBackground = E(u"DropDownGalleryBackground");
  RibbonGalleryButtonDown = E(u"InRibbonGalleryButtonDown");
  RibbonGalleryButtonDropDown = E(u"InRibbonGalleryButtonDropDown");
  RibbonGalleryButtonUp = E(u"InRibbonGalleryButtonUp");
  RibbonGalleryGroupCaption = E(u"DropDownGalleryGroupHeader");
  RibbonGalleryPane = E(u"InRibbonGalleryPane");
  RibbonGallerySizingPanel = E(u"DropDownGallerySizePanel");
  RibbonGallerySizeGrips = E(u"DropDownGallerySizeGrip");
  RibbonHeaderBackground = E(u"TabBackground");
  RibbonHeaderBackgroundOnGlass = E(u"TabBackgroundOnGlass");
  RibbonSmallButton = E(u"Button");
  RibbonSplitButtonLeft = E(u"SplitButtonLeft");
  RibbonSplitButtonRight = E(u"SplitButtonRight");
  RibbonKeyTip = E(u"KeyTip");
  RibbonLargeButton = E(u"LargeButton");
  RibbonLargeSplitButtonTop = E(u"LargeSplitButtonTop");
  RibbonLargeSplitButtonBottom = E(u"LargeSplitButtonBottom");
  RibbonButtonArrow = E(u"ButtonArrow");
  RibbonButtonGroup = E(u"ButtonGroup");
  RibbonStatusBarBackground = E(u"StatusBarBackground");
  RibbonStatusBarButton = E(u"StatusBarButton");
  RibbonStatusBarSeparator = E(u"StatusBarSeparator");
  RibbonQuickToolbar[true] = E(u"QATInRibbonBackground");
  RibbonQuickToolbar[false] = E(u"QATAboveBackground");
  RibbonQuickToolbarBelow = E(u"QATBelowBackground");
  RibbonQuickToolbarButtonGlyph = E(u"QATButtonGlyph");
  RibbonQuickToolbarDropDown = E(u"QATOverflow");
  RibbonQuickToolbarGlyph = E(u"QATCustomizeButton");
  RibbonButtonGroupButton = E(u"ButtonGroupButton");
  RibbonButtonGroupSeparator = E(u"ButtonGroupSeparator");
  RibbonButtonGroupSplitButtonLeft = E(u"ButtonGroupSplitButtonLeft");
  RibbonButtonGroupSplitButtonRight = E(u"ButtonGroupSplitButtonRight");
  RibbonGroupScroll[true] = E(u"TabGroupLeftScrollButton");
  RibbonGroupScroll[false] = E(u"TabGroupRightScrollButton");
  RibbonContextualTabLabel = E(u"ContextualTabLabel");
  RibbonContextualTabLabelOnGlass = E(u"ContextualTabLabelOnGlass");
  RibbonContextualTabSeparator = E(u"ContextualTabSeparator");
  RibbonContextualTabHeader = E(u"ContextualTabHeader");
  RibbonContextualTabPanel = E(u"ContextualTabPanel");
  SetUseCache(RibbonLargeButton);
  SetUseCache(RibbonSmallButton);

  RadialMenuBackgroundColor = GetColorByName(g, u"RadialMenuBackgroundColor");
  RadialMenuBaseColor = GetColorByName(g, u"RadialMenuBaseColor");
  RibbonEditorBackground = GetColorByName(g, u"EditorBackground");
  RibbonExtraPaneColor = GetColorByName(g, u"AppMenuExtraPaneColor");
  RibbonExtraPaneHeaderSeparator = GetColorByName(g, u"AppMenuExtraPaneHeaderSeparator");
  RibbonButtonText[true] = GetColorValueByName(g, u"ButtonDisabled");
  RibbonUseRoundedWindowCorners = GetBoolPropertyByName(g, u"UseRoundedWindowCorners");
  RibbonTabAeroSupport = GetBoolPropertyByName(g, u"TabAeroSupport");
  RibbonSpaceBetweenTabGroups = GetIntegerPropertyByName(g, u"SpaceBetweenTabGroups");
  RibbonTabHeaderDownGrowIndent = GetIntegerPropertyByName(g, u"TabHeaderDownGrow");

  // Properties read from the elements.
  for (int i = 0; i < 2; ++i) {
    RibbonQATCustomizeButtonOutsizeQAT[i] =
        GetBoolPropertyByName(RibbonQuickToolbar[i], u"DisplayCustomizeButtonOutsideQAT");
    RibbonQATIndentBeforeCustomizeButton[i] =
        GetIntegerPropertyByName(RibbonQuickToolbar[i], u"IndentBeforeCustomizeButton");
  }
  RibbonCaptionFontDelta = GetIntegerPropertyByName(RibbonFormCaption, u"FontDelta");
  RibbonTabPanelBottomIndent = GetIntegerPropertyByName(RibbonTabPanel, u"BottomIndent");
  RibbonContextualTabLabelShadowColor = GetColorByName(RibbonContextualTabLabel, u"TextShadowColor");
  RibbonContextualTabLabelOnGlassShadowColor =
      GetColorByName(RibbonContextualTabLabelOnGlass, u"TextShadowColor");

  // Text colours.
  RibbonCaptionText[false] = GetColorValueByName(RibbonFormCaption, u"TextColorInactive");
  RibbonCaptionText[true] = SkinInfoTextColor(RibbonFormCaption);
  RibbonTabTextHot = GetColorValueByName(RibbonTab, u"TextColorHot");
  RibbonTabText[true] = GetColorValueByName(RibbonTab, u"TextColorSelected");
  RibbonTabText[false] = SkinInfoTextColor(RibbonTab);
  RibbonContextualTabHeaderText[true] = GetColorValueByName(RibbonContextualTabHeader, u"TextColorSelected");
  RibbonContextualTabHeaderText[false] = SkinInfoTextColor(RibbonContextualTabHeader);
  RibbonContextualTabHeaderTextHot = GetColorValueByName(RibbonContextualTabHeader, u"TextColorHot");
  RibbonDocumentNameTextColor[true] = GetColorValueByName(RibbonFormCaption, u"DocumentNameTextColor");
  RibbonDocumentNameTextColor[false] = RibbonCaptionText[false];
  RibbonStatusBarTextSelected = GetColorValueByName(RibbonStatusBarButton, u"TextColorSelected");
  RibbonButtonText[false] = SkinInfoTextColor(RibbonSmallButton);
}

void TdxSkinInfo::InitializeRichEditElements() {
  auto* g = GroupRichEdit;
  auto E = [&](const Char* AName) { return GetElementByName(g, AName, true); };
  RichEditCornerPanel = E(u"CornerPanel");
  RichEditRulerBackgroundHorz = E(u"RulerBackgroundHorz");
  RichEditRulerBackgroundVert = E(u"RulerBackgroundVert");
  RichEditRulerColumnResizer = E(u"RulerColumnResizer");
  RichEditRulerIndent = E(u"RulerIndent");
  RichEditRulerIndentBottom = E(u"RulerIndentBottom");
  RichEditRulerRightMargin = E(u"RulerRightMargin");
  RichEditRulerSection = E(u"RulerSection");
  RichEditRulerTab = E(u"RulerTab");
  RichEditRulerTabTypeBackground = E(u"RulerTabTypeBackground");
  RichEditRulerDefaultTabColor = GetColorByName(g, u"RulerDefaultTabColor");
  RichEditRulerTextColor = GetColorByName(g, u"RulerTextColor");
}

void TdxSkinInfo::InitializeTileControlElements() {
  auto* g = GroupTileControl;
  auto E = [&](const Char* AName) { return GetElementByName(g, AName, true); };
  TileControlActionBar = E(u"ActionBar");
  TileControlBackground = E(u"Background");
  TileControlItem = E(u"Item");
  TileControlItemCheck = E(u"ItemCheck");
  TileControlGroupCaption = E(u"GroupCaption");
  TileControlVirtualGroup = E(u"VirtualGroup");
  TileControlTitle = E(u"Title");
  TileControlTabHeader = E(u"TabHeader");
  TileControlGroupCaptionFontDelta = GetIntegerPropertyValue(TileControlGroupCaption, u"FontDelta", 0);
  TileControlTitleFontDelta = GetIntegerPropertyValue(TileControlTitle, u"FontDelta", 0);
  TileControlTabHeaderFontDelta = GetIntegerPropertyValue(TileControlTabHeader, u"FontDelta", 0);
  TileControlSelectionFocusedColor = GetColorValueByName(g, u"SelectionFocusedColor");
  TileControlSelectionHotColor = GetColorValueByName(g, u"SelectionHotColor");
}

void TdxSkinInfo::InitializePrintingSystemElements() {
  PrintingPageBorder = GetElementByName(GroupPrintingSystem, u"PageBorder", true);
  PrintingPreviewBackground = GetElementByName(GroupPrintingSystem, u"PreviewBackground", true);
  SetUseCache(PrintingPageBorder);
  SetUseCache(PrintingPreviewBackground);
}

void TdxSkinInfo::InitializePDFViewerElements() {
  auto* g = GroupPDFViewer;
  auto E = [&](const Char* AName) { return GetElementByName(g, AName, true); };
  PDFViewerFindPanel = E(u"FindPanel");
  PDFViewerNavigationPaneBackground = E(u"NavigationPaneBackground");
  PDFViewerNavigationPaneButton = E(u"NavigationPaneButton");
  PDFViewerNavigationPaneButtonArrow = E(u"NavigationPaneButtonArrow");
  PDFViewerNavigationPaneButtonMinimized = E(u"NavigationPaneButtonMinimized");
  PDFViewerNavigationPanePageBackground = E(u"NavigationPanePageBackground");
  PDFViewerNavigationPanePageButton = E(u"NavigationPanePageButton");
  PDFViewerNavigationPanePageCaption = E(u"NavigationPanePageCaption");
  PDFViewerSelectionColor = GetColorByName(g, u"SelectionColor");
  PDFViewerNavigationPaneSelectedPageExpandValue =
      GetIntegerPropertyByName(g, u"NavigationPaneSelectedPageExpandValue");
  PDFViewerNavigationPaneSelectedPageOverlapValue =
      GetIntegerPropertyByName(g, u"NavigationPaneSelectedPageOverlapValue");
}

void TdxSkinInfo::InitializeMapControlElements() {
  auto* g = GroupMapControl;
  auto E = [&](const Char* AName) { return GetElementByName(g, AName, true); };
  MapControlCustomElement = E(u"CustomElement");
  MapControlCallout = E(u"Callout");
  MapControlPushpin = E(u"Pushpin");
  TdxSkinElement* selectedRegion = E(u"SelectedRegion");
  TdxSkinElement* shape = E(u"Shape");
  MapControlBackColor = GetColorValueByName(g, u"MapBackColor");
  MapControlPanelBackColor = GetAlphaColorValueByName(g, u"PanelBackColor");
  MapControlPanelHotTrackedTextColor = GetAlphaColorValueByName(g, u"PanelHotTrackedTextColor");
  MapControlPanelPressedTextColor = GetAlphaColorValueByName(g, u"PanelPressedTextColor");
  MapControlPanelTextColor = GetAlphaColorValueByName(g, u"PanelTextColor");
  MapControlCustomElementTextGlowColor = GetAlphaColorValueByName(MapControlCustomElement, u"TextGlowColor");
  MapControlCalloutTextGlowColor = GetAlphaColorValueByName(MapControlCallout, u"TextGlowColor");
  MapControlPushpinTextGlowColor = GetAlphaColorValueByName(MapControlPushpin, u"TextGlowColor");
  MapControlCalloutPointerHeight = GetIntegerPropertyValue(MapControlCallout, u"PointerHeight", 0);
  MapControlCalloutPointer = TPoint{GetIntegerPropertyValue(MapControlCallout, u"PointerX", 0),
                                    GetIntegerPropertyValue(MapControlCallout, u"PointerY", 0)};
  MapControlPushpinTextOrigin = TPoint{GetIntegerPropertyValue(MapControlPushpin, u"TextOriginX", 0),
                                       GetIntegerPropertyValue(MapControlPushpin, u"TextOriginY", 0)};
  MapControlSelectedRegionBackgroundColor = GetAlphaColorValueByName(selectedRegion, u"BackColor");
  MapControlSelectedRegionBorderColor = GetAlphaColorValueByName(selectedRegion, u"BorderColor");
  for (int i = 0; i < 5; ++i) {
    const String prefix = SkinInfoMapShapePrefixes[i];
    MapControlShapeBorderColor[i] = GetAlphaColorValueByName(shape, prefix + u"BorderColor");
    MapControlShapeBorderWidth[i] = GetIntegerPropertyValue(shape, prefix + u"BorderWidth", 0);
    MapControlShapeColor[i] =
        GetAlphaColorValueByName(shape, (prefix.empty() ? String(u"Back") : prefix) + u"Color");
  }
}

void TdxSkinInfo::InitializeVGridElements() {
  auto* g = GroupVGrid;
  VGridCategory = GetElementByName(g, u"Category", true);
  VGridLine[false] = GetElementByName(g, u"GridLine", true);
  VGridLine[true] = GetElementByName(g, u"BandBorder", true);
  VGridRowHeader = GetElementByName(g, u"RowHeader", true);
  VGridContentColor = GetColorByName(g, u"ContentColor");
}

void TdxSkinInfo::InitializeColors() {
  auto C = [&](const Char* AName) { return GetColorByName(String(AName)); };
  ContainerBorderColor = C(u"ContainerBorderColor");
  ContainerHighlightBorderColor = C(u"ContainerHighlightBorderColor");
  ContentColor = C(u"ContentColor");
  ContentEvenColor = C(u"ContentEvenColor");
  ContentOddColor = C(u"ContentOddColor");
  ContentTextColor = C(u"ContentTextColor");
  DockControlHideBarTextColor[false] = C(u"DockControlHiddenBarTextColor");
  DockControlHideBarTextColor[true] = C(u"DockControlHiddenBarTextHotColor");
  HeaderBackgroundColor = C(u"HeaderBackgroundColor");
  HeaderBackgroundTextColor = C(u"HeaderBackgroundTextColor");
  InactiveColor = C(u"InactiveColor");
  InactiveTextColor = C(u"InactiveTextColor");
  LayoutControlColor = C(u"LayoutControlColor");
  SelectionColor = C(u"SelectionColor");
  SelectionTextColor = C(u"SelectionTextColor");
  TreeListGridLineColor = C(u"TreeListGridLineColor");
  TreeListTreeLineColor = C(u"TreeListTreeLineColor");
  SpreadSheetContentColor = C(u"SpreadSheetContentColor");
  SpreadSheetContentTextColor = C(u"SpreadSheetContentTextColor");
  SpreadSheetFrozenPaneSeparatorColor = C(u"SpreadSheetFrozenPaneSeparatorColor");
  SpreadSheetSelectionColor = C(u"SpreadSheetSelectionColor");
  SpreadSheetGroupLineColor = C(u"SpreadSheetGroupLineColor");
  GridLikeControlContentColor = C(u"GridLikeControlContentColor");
  GridLikeControlContentEvenColor = C(u"GridLikeControlContentEvenColor");
  GridLikeControlContentOddColor = C(u"GridLikeControlContentOddColor");
  GridLikeControlContentTextColor = C(u"GridLikeControlContentTextColor");
  GridLikeControlBackgroundColor = C(u"GridLikeControlBackgroundColor");
  SchedulerNavigatorColor = GetColorByName(GroupScheduler, u"NavigatorColor");
  TabTextColor = GetColorByName(PageControlHeader, u"TextColor");
  TabTextColorActive = GetColorByName(PageControlHeader, u"TextColorSelected");
  TabTextColorDisabled = GetColorByName(PageControlHeader, u"TextColorDisabled");
  TabTextColorHot = GetColorByName(PageControlHeader, u"TextColorHot");
}

}  // namespace qd
