#pragma once
// The Office 11 colour scheme: about ninety colours, brushes and small bitmaps that follow
// the active visual style's colour scheme (a fixed table for the three known schemes,
// mixes of system colours otherwise), kept in globals that painters read directly.
// Creation is reference-counted; while any creation is outstanding the colours are
// recomputed after every theme or system-colour change.
#include <cstdint>

#include "platform/base/geometry.h"
#include "platform/forms/graphics.h"
#include "platform/os/gdi.h"
#include "ui/core/cxGeometryScaleFactor.h"

namespace qd {

enum TOffice11Scheme : uint8_t { schUnknown, schNormalColor, schHomestead, schMetallic };

extern TColor dxOffice11DockColor1;
extern TColor dxOffice11DockColor2;
extern TColor dxOffice11ToolbarsColor1;
extern TColor dxOffice11ToolbarsColor2;
extern TColor dxOffice11BarMarkColors1[3];
extern TColor dxOffice11BarMarkColors2[3];
extern TColor dxOffice11BarBorderColors[2];
extern TColor dxOffice11BarBorderMarkColors[6];
extern TColor dxOffice11BarFingerColor1;
extern TColor dxOffice11BarFingerColor2;
extern TColor dxOffice11BarSeparatorColor1;
extern TColor dxOffice11BarSeparatorColor2;
extern TColor dxOffice11BarMarkArrowColor1;
extern TColor dxOffice11BarMarkArrowColor2;
extern TColor dxOffice11BarFloatingBorderColor1;
extern TColor dxOffice11BarFloatingBorderColor2;
extern TColor dxOffice11BarFloatingBorderColor3;
extern TColor dxOffice11BarFloatingCaptionColor;
extern TColor dxOffice11BarFloatingCaptionTextColor1;
extern TColor dxOffice11BarFloatingCaptionTextColor2;
extern TColor dxOffice11BarFloatingCaptionTextColor3;
extern TColor dxOffice11MenuColor;
extern TColor dxOffice11MenuDownedColor1;
extern TColor dxOffice11MenuDownedColor2;
extern TColor dxOffice11MenuIndentColor1;
extern TColor dxOffice11MenuIndentColor2;
extern TColor dxOffice11MenuNonRecentIndentColor1;
extern TColor dxOffice11MenuNonRecentIndentColor2;
extern TColor dxOffice11DropDownBorderColor1;
extern TColor dxOffice11DropDownBorderColor2;
extern TColor dxOffice11ToolbarSelectedColor;
extern TColor dxOffice11SelectedBorderColor;
extern TColor dxOffice11SelectedColor1;
extern TColor dxOffice11SelectedColor2;
extern TColor dxOffice11SelectedDownColor1;
extern TColor dxOffice11SelectedDownColor2;
extern TColor dxOffice11OwnerControlDownedColor;
extern TColor dxOffice11DownedColor;
extern TColor dxOffice11DownedSelectedColor;
extern TColor dxOffice11DetachableColor;
extern TColor dxOffice11DetachableSelectedColor;
extern TColor dxOffice11TextEnabledColor;
extern TColor dxOffice11TextDisabledColor;
extern TColor dxOffice11StaticBorderColor;
extern TColor dxOffice11DateHeaderColor;
extern TColor dxOffice11InPlaceSubItemColor;
extern TColor dxOffice11InPlaceSubItemTextColor;
extern TColor dxOffice11ControlBorderColor;
extern TColor dxOffice11GroupColor;
extern TColor dxOffice11DayNavigatorSelectedColor;
extern TColor dxOffice11OutlookBorderColor;
extern TColor dxOffice11OutlookControlColor;
extern TColor dxOffice11GroupIndentColor;
extern TColor dxOffice11GroupRowTextColor;
extern TColor dxOffice11GroupRowSeparatorColor;
extern TColor dxOffice11NavPaneBorder;
extern TColor dxOffice11NavPaneGroupCaptionColor1;
extern TColor dxOffice11NavPaneGroupCaptionColor2;
extern TColor dxOffice11NavPaneGroupCaptionHotColor1;
extern TColor dxOffice11NavPaneGroupCaptionHotColor2;
extern TColor dxOffice11NavPaneGroupCaptionPressedColor1;
extern TColor dxOffice11NavPaneGroupCaptionPressedColor2;
extern TColor dxOffice11NavPaneGroupCaptionPressedHotColor1;
extern TColor dxOffice11NavPaneGroupCaptionPressedHotColor2;
extern TColor dxOffice11NavPaneHeaderColor1;
extern TColor dxOffice11NavPaneHeaderColor2;
extern TColor dxOffice11NavPaneHeaderFontColor;
extern TColor dxOffice11NavPaneSplitterColor1;
extern TColor dxOffice11NavPaneSplitterColor2;
extern TColor dxOffice11ExpandButtonColor1;
extern TColor dxOffice11ExpandButtonColor2;
extern HBRUSH dxOffice11BarFingerBrush1;
extern HBRUSH dxOffice11BarFingerBrush2;
extern HBRUSH dxOffice11BarSeparatorBrush1;
extern HBRUSH dxOffice11BarSeparatorBrush2;
extern HBRUSH dxOffice11MenuBrush;
extern HBRUSH dxOffice11SelectedBorderBrush;
extern HBRUSH dxOffice11ToolbarSelectedBrush;
extern HBRUSH dxOffice11OwnerControlDownedBrush;
extern HBRUSH dxOffice11DownedBrush;
extern HBRUSH dxOffice11DownedSelectedBrush;
extern HBRUSH dxOffice11DropDownBorderBrush1;
extern HBRUSH dxOffice11DropDownBorderBrush2;
extern HBRUSH dxOffice11DetachableBrush;
extern HBRUSH dxOffice11DetachableSelectedBrush;
extern HBRUSH dxOffice11StaticBorderBrush;
extern HBRUSH dxOffice11InPlaceSubItemBrush;
extern TBitmap* dxOffice11SubMenuExpandBitmap;
extern TBitmap* dxOffice11ExpandButtonBitmap1;
extern TBitmap* dxOffice11ExpandButtonBitmap2;

void CreateOffice11Colors();
void ReleaseOffice11Colors();
void RefreshOffice11Colors();
TOffice11Scheme GetOffice11Scheme();
bool IsXPStandardScheme();
// Detects the scheme now from the visual style's colour name.
TOffice11Scheme dxGetOffice11Scheme();
int32_t Office11GradientPercent();
// How many creations are outstanding.
int32_t Office11ColorsCounter();

void Office11FillTubeGradientRect(HDC DC, const TRect& ARect, TColor AColor1, TColor AColor2,
                                  bool AHorizontal);
void Office11FrameSelectedRect(HDC DC, const TRect& ARect);
int32_t GetOffice11FingerElementSize(const TdxScaleFactor* AScaleFactor = nullptr);
// A row of grip dots; nullptr brushes mean the bar finger brushes.
void Office11DrawFingerElements(HDC DC, const TRect& ARect, bool AOnlyVertical, HBRUSH ABrush1 = nullptr,
                                HBRUSH ABrush2 = nullptr, const TdxScaleFactor* AScaleFactor = nullptr);
// Three stepped rows of dots in the bottom-right corner; clDefault means the default brush.
void Office11DrawSizeGrip(HDC DC, const TRect& ARect, TColor AColor1 = clDefault, TColor AColor2 = clDefault,
                          const TdxScaleFactor* AScaleFactor = nullptr);
TColor GetdxOffice11NavPaneGroupCaptionColor(bool AStart);

}  // namespace qd
