#include "ui/graphics/dxOffice11.h"

#include <algorithm>
#include <memory>

#include "platform/base/mathutil.h"
#include "platform/base/strings.h"
#include "platform/classes/streams.h"
#include "ui/core/dxCore.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/core/dxThemeManager.h"
#include "ui/core/dxUxTheme.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/cxGraphicsColors.h"

namespace qd {

TColor dxOffice11DockColor1 = clNone;
TColor dxOffice11DockColor2 = clNone;
TColor dxOffice11ToolbarsColor1 = clNone;
TColor dxOffice11ToolbarsColor2 = clNone;
TColor dxOffice11BarMarkColors1[3]{};
TColor dxOffice11BarMarkColors2[3]{};
TColor dxOffice11BarBorderColors[2]{};
TColor dxOffice11BarBorderMarkColors[6]{};
TColor dxOffice11BarFingerColor1 = clNone;
TColor dxOffice11BarFingerColor2 = clNone;
TColor dxOffice11BarSeparatorColor1 = clNone;
TColor dxOffice11BarSeparatorColor2 = clNone;
TColor dxOffice11BarMarkArrowColor1 = clNone;
TColor dxOffice11BarMarkArrowColor2 = clNone;
TColor dxOffice11BarFloatingBorderColor1 = clNone;
TColor dxOffice11BarFloatingBorderColor2 = clNone;
TColor dxOffice11BarFloatingBorderColor3 = clNone;
TColor dxOffice11BarFloatingCaptionColor = clNone;
TColor dxOffice11BarFloatingCaptionTextColor1 = clNone;
TColor dxOffice11BarFloatingCaptionTextColor2 = clNone;
TColor dxOffice11BarFloatingCaptionTextColor3 = clNone;
TColor dxOffice11MenuColor = clNone;
TColor dxOffice11MenuDownedColor1 = clNone;
TColor dxOffice11MenuDownedColor2 = clNone;
TColor dxOffice11MenuIndentColor1 = clNone;
TColor dxOffice11MenuIndentColor2 = clNone;
TColor dxOffice11MenuNonRecentIndentColor1 = clNone;
TColor dxOffice11MenuNonRecentIndentColor2 = clNone;
TColor dxOffice11DropDownBorderColor1 = clNone;
TColor dxOffice11DropDownBorderColor2 = clNone;
TColor dxOffice11ToolbarSelectedColor = clNone;
TColor dxOffice11SelectedBorderColor = clNone;
TColor dxOffice11SelectedColor1 = clNone;
TColor dxOffice11SelectedColor2 = clNone;
TColor dxOffice11SelectedDownColor1 = clNone;
TColor dxOffice11SelectedDownColor2 = clNone;
TColor dxOffice11OwnerControlDownedColor = clNone;
TColor dxOffice11DownedColor = clNone;
TColor dxOffice11DownedSelectedColor = clNone;
TColor dxOffice11DetachableColor = clNone;
TColor dxOffice11DetachableSelectedColor = clNone;
TColor dxOffice11TextEnabledColor = clNone;
TColor dxOffice11TextDisabledColor = clNone;
TColor dxOffice11StaticBorderColor = clNone;
TColor dxOffice11DateHeaderColor = clNone;
TColor dxOffice11InPlaceSubItemColor = clNone;
TColor dxOffice11InPlaceSubItemTextColor = clNone;
TColor dxOffice11ControlBorderColor = clNone;
TColor dxOffice11GroupColor = clNone;
TColor dxOffice11DayNavigatorSelectedColor = clNone;
TColor dxOffice11OutlookBorderColor = clNone;
TColor dxOffice11OutlookControlColor = clNone;
TColor dxOffice11GroupIndentColor = clNone;
TColor dxOffice11GroupRowTextColor = clNone;
TColor dxOffice11GroupRowSeparatorColor = clNone;
TColor dxOffice11NavPaneBorder = clNone;
TColor dxOffice11NavPaneGroupCaptionColor1 = clNone;
TColor dxOffice11NavPaneGroupCaptionColor2 = clNone;
TColor dxOffice11NavPaneGroupCaptionHotColor1 = clNone;
TColor dxOffice11NavPaneGroupCaptionHotColor2 = clNone;
TColor dxOffice11NavPaneGroupCaptionPressedColor1 = clNone;
TColor dxOffice11NavPaneGroupCaptionPressedColor2 = clNone;
TColor dxOffice11NavPaneGroupCaptionPressedHotColor1 = clNone;
TColor dxOffice11NavPaneGroupCaptionPressedHotColor2 = clNone;
TColor dxOffice11NavPaneHeaderColor1 = clNone;
TColor dxOffice11NavPaneHeaderColor2 = clNone;
TColor dxOffice11NavPaneHeaderFontColor = clNone;
TColor dxOffice11NavPaneSplitterColor1 = clNone;
TColor dxOffice11NavPaneSplitterColor2 = clNone;
TColor dxOffice11ExpandButtonColor1 = clNone;
TColor dxOffice11ExpandButtonColor2 = clNone;
HBRUSH dxOffice11BarFingerBrush1 = nullptr;
HBRUSH dxOffice11BarFingerBrush2 = nullptr;
HBRUSH dxOffice11BarSeparatorBrush1 = nullptr;
HBRUSH dxOffice11BarSeparatorBrush2 = nullptr;
HBRUSH dxOffice11MenuBrush = nullptr;
HBRUSH dxOffice11SelectedBorderBrush = nullptr;
HBRUSH dxOffice11ToolbarSelectedBrush = nullptr;
HBRUSH dxOffice11OwnerControlDownedBrush = nullptr;
HBRUSH dxOffice11DownedBrush = nullptr;
HBRUSH dxOffice11DownedSelectedBrush = nullptr;
HBRUSH dxOffice11DropDownBorderBrush1 = nullptr;
HBRUSH dxOffice11DropDownBorderBrush2 = nullptr;
HBRUSH dxOffice11DetachableBrush = nullptr;
HBRUSH dxOffice11DetachableSelectedBrush = nullptr;
HBRUSH dxOffice11StaticBorderBrush = nullptr;
HBRUSH dxOffice11InPlaceSubItemBrush = nullptr;
TBitmap* dxOffice11SubMenuExpandBitmap = nullptr;
TBitmap* dxOffice11ExpandButtonBitmap1 = nullptr;
TBitmap* dxOffice11ExpandButtonBitmap2 = nullptr;

namespace {

constexpr TColor Office11Colors[3][49] = {
    {0xFEECDD, 0xE2A981, 0xF5BE9E, 0xF9DAC3, 0x913500, 0xF1A675, 0x76C1FF, 0xD3F8FF, 0x98DDFF, 0x5295FE,
     0x9C613B, 0xE0A47B, 0x764127, 0xFFFFFF, 0xCB8C6A, 0xFFF9F1, 0xC9662A, 0xF9DBC4, 0x962D00, 0xF6F6F6,
     0xC2EEFF, 0x800000, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE, 0xFCE1CB, 0x6FC0FF, 0x3E80FE, 0xF0C7A9,
     0x000000, 0x8D8D8D, 0xFBDABE, 0x94E6FB, 0xFADAC4, 0x962D00, 0xB96837, 0x962D00, 0xFBE5D3, 0xE4AE88,
     0xDCFFFF, 0x5BC0F7, 0x94E6FB, 0x1595EE, 0x087FE8, 0x7CDAF7, 0xD68759, 0x933803, 0xFFFFFF},
    {0xDEF7F4, 0x91C6B7, 0xA7D9D9, 0xE4F0F2, 0x6B7760, 0x8CC2B0, 0x76C1FF, 0xD3F8FF, 0x98DDFF, 0x5295FE,
     0x588060, 0x8FC4B5, 0x335E51, 0xFFFFFF, 0x588060, 0xDEF7F4, 0x5E8674, 0xADDEE1, 0x5E8D75, 0xEEF4F4,
     0xC2EEFF, 0x385D3F, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE, 0xB6E3D8, 0x6FC0FF, 0x3E80FE, 0x9FD4C5,
     0x000000, 0x8D8D8D, 0x91BAAF, 0x94E6FB, 0xE4F1F2, 0x588060, 0x548973, 0x5E8D75, 0xDBF5F2, 0x97C9BC,
     0xDCFFFF, 0x5BC0F7, 0x94E6FB, 0x1595EE, 0x087FE8, 0x7CDAF7, 0x82C0AF, 0x447A63, 0xFFFFFF},
    {0xFAF4F3, 0xB59799, 0xE5D7D7, 0xF7F3F3, 0x927476, 0xC8B2B3, 0x76C1FF, 0xD3F8FF, 0x98DDFF, 0x5295FE,
     0x947C7C, 0xB09193, 0x755454, 0xFFFFFF, 0x8F6D6E, 0xFFFFFF, 0x99797A, 0xE4DADB, 0x947C7C, 0xFFFAFD,
     0xC2EEFF, 0x6F4B4B, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE, 0xE7D3D6, 0x6FC0FF, 0x3E80FE, 0xD3C0C0,
     0x000000, 0x8D8D8D, 0xEBE5E5, 0x94E6FB, 0xF7F3F3, 0x947C7C, 0x916F70, 0x947C7C, 0xF8F1F0, 0xBA9EA0,
     0xDCFFFF, 0x5BC0F7, 0x94E6FB, 0x1595EE, 0x087FE8, 0x7CDAF7, 0xBFA7A8, 0x916F70, 0xFFFFFF}};
constexpr int32_t Office11GradientPercents[3] = {41, 125, 40};

TColor* const Office11ColorTargets[49] = {&dxOffice11ToolbarsColor1,
                                          &dxOffice11ToolbarsColor2,
                                          &dxOffice11DockColor1,
                                          &dxOffice11DockColor2,
                                          &dxOffice11BarMarkColors2[0],
                                          &dxOffice11BarMarkColors1[0],
                                          &dxOffice11BarMarkColors2[1],
                                          &dxOffice11BarMarkColors1[1],
                                          &dxOffice11BarMarkColors2[2],
                                          &dxOffice11BarMarkColors1[2],
                                          &dxOffice11BarBorderColors[0],
                                          &dxOffice11BarBorderColors[1],
                                          &dxOffice11BarFingerColor1,
                                          &dxOffice11BarFingerColor2,
                                          &dxOffice11BarSeparatorColor1,
                                          &dxOffice11BarSeparatorColor2,
                                          &dxOffice11BarFloatingBorderColor1,
                                          &dxOffice11BarFloatingBorderColor2,
                                          &dxOffice11DropDownBorderColor1,
                                          &dxOffice11MenuColor,
                                          &dxOffice11ToolbarSelectedColor,
                                          &dxOffice11SelectedBorderColor,
                                          &dxOffice11SelectedColor1,
                                          &dxOffice11SelectedColor2,
                                          &dxOffice11SelectedDownColor1,
                                          &dxOffice11SelectedDownColor2,
                                          &dxOffice11OwnerControlDownedColor,
                                          &dxOffice11DownedColor,
                                          &dxOffice11DownedSelectedColor,
                                          &dxOffice11DetachableColor,
                                          &dxOffice11TextEnabledColor,
                                          &dxOffice11TextDisabledColor,
                                          &dxOffice11GroupColor,
                                          &dxOffice11DayNavigatorSelectedColor,
                                          &dxOffice11OutlookControlColor,
                                          &dxOffice11OutlookBorderColor,
                                          &dxOffice11GroupRowTextColor,
                                          &dxOffice11NavPaneBorder,
                                          &dxOffice11NavPaneGroupCaptionColor1,
                                          &dxOffice11NavPaneGroupCaptionColor2,
                                          &dxOffice11NavPaneGroupCaptionHotColor1,
                                          &dxOffice11NavPaneGroupCaptionHotColor2,
                                          &dxOffice11NavPaneGroupCaptionPressedColor1,
                                          &dxOffice11NavPaneGroupCaptionPressedColor2,
                                          &dxOffice11NavPaneGroupCaptionPressedHotColor1,
                                          &dxOffice11NavPaneGroupCaptionPressedHotColor2,
                                          &dxOffice11NavPaneHeaderColor1,
                                          &dxOffice11NavPaneHeaderColor2,
                                          &dxOffice11NavPaneHeaderFontColor};

TOffice11Scheme Office11Scheme = schUnknown;
bool Office11XPStandardScheme = false;
int32_t Office11Counter = 0;
int32_t Office11Gradient = 75;
std::unique_ptr<TdxThemeChangedNotificator> Office11ThemeListener;

TColor Office11Mix(TColor A, TColor B, int32_t P) {
  return dxGetMiddleRGB(A, B, P);
}

TColor Office11Near(TColor C) {
  return dxGetNearestColor(C);
}

void InitOffice11Colors() {
  Office11Scheme = dxGetOffice11Scheme();
  Office11XPStandardScheme = AreVisualStylesAvailable() && Office11Scheme != schUnknown;
  if (Office11Scheme != schUnknown) {
    const int32_t s = Office11Scheme - 1;
    for (int32_t i = 0; i < 49; ++i) *Office11ColorTargets[i] = Office11Colors[s][i];
    dxOffice11NavPaneSplitterColor1 = dxOffice11NavPaneHeaderColor1;
    dxOffice11NavPaneSplitterColor2 = dxOffice11NavPaneHeaderColor2;
    for (int32_t i = 0; i < 3; ++i)
      dxOffice11BarBorderMarkColors[i] =
          Office11Mix(dxOffice11BarMarkColors1[i], dxOffice11ToolbarsColor1, 90);
    dxOffice11BarMarkArrowColor1 = clBlack;
    dxOffice11BarMarkArrowColor2 = clWhite;
    dxOffice11BarFloatingCaptionTextColor1 = clWhite;
    dxOffice11BarFloatingCaptionTextColor2 = clBlack;
    dxOffice11BarFloatingCaptionTextColor3 = clBlack;
    Office11Gradient = Office11GradientPercents[s];
    dxOffice11GroupIndentColor = static_cast<TColor>(0xC9EEFD);
    dxOffice11GroupRowSeparatorColor = dxOffice11BarBorderColors[1];
  } else {
    const TColor face = ColorToRGB(clBtnFace), window = ColorToRGB(clWindow),
                 shadow = ColorToRGB(clBtnShadow);
    dxOffice11DockColor1 = face;
    dxOffice11DockColor2 = Office11Mix(face, window, 20);
    dxOffice11ToolbarsColor1 = Office11Mix(face, window, 22);
    dxOffice11ToolbarsColor2 = Office11Mix(face, window, 96);
    dxOffice11BarMarkColors2[0] = shadow;
    dxOffice11BarMarkColors1[0] = Office11Mix(shadow, window, 74);
    dxOffice11BarMarkColors1[1] = dxOffice11BarMarkColors2[1] = Office11Near(GetLightColor(241, 29, 86));
    dxOffice11BarMarkColors1[2] = dxOffice11BarMarkColors2[2] = Office11Near(GetLightColor(42, 11, 47));
    dxOffice11BarBorderColors[0] = Office11Mix(face, window, 85);
    dxOffice11BarBorderColors[1] = face;
    for (int32_t i = 0; i < 3; ++i)
      dxOffice11BarBorderMarkColors[i] = Office11Mix(dxOffice11BarMarkColors2[i], window, 50);
    dxOffice11BarFingerColor1 = Office11Mix(shadow, window, 76);
    dxOffice11BarFingerColor2 = window;
    dxOffice11BarSeparatorColor1 = Office11Mix(shadow, window, 70);
    dxOffice11BarSeparatorColor2 = clWhite;
    dxOffice11BarMarkArrowColor1 = ColorToRGB(clBtnText);
    dxOffice11BarMarkArrowColor2 = window;
    dxOffice11BarFloatingBorderColor1 = shadow;
    dxOffice11BarFloatingBorderColor2 = dxOffice11ToolbarsColor2;
    dxOffice11BarFloatingCaptionTextColor1 = ColorToRGB(clBtnHighlight);
    dxOffice11BarFloatingCaptionTextColor2 = dxOffice11BarFloatingCaptionTextColor3 = ColorToRGB(clBtnText);
    dxOffice11DropDownBorderColor1 = shadow;
    dxOffice11MenuColor = window;
    dxOffice11ToolbarSelectedColor = Office11Near(GetLightColor(254, 30, 72));
    dxOffice11SelectedBorderColor = ColorToRGB(clHighlight);
    dxOffice11SelectedColor1 = dxOffice11SelectedColor2 = dxOffice11ToolbarSelectedColor;
    dxOffice11OwnerControlDownedColor = dxOffice11DetachableColor = dxOffice11ToolbarsColor2;
    dxOffice11DownedColor = GetLightColor(41, 11, 48);
    dxOffice11DownedSelectedColor = dxOffice11SelectedDownColor1 = dxOffice11SelectedDownColor2 =
        Office11Near(GetLightColor(14, 44, 40));
    dxOffice11TextEnabledColor = ColorToRGB(clBtnText);
    dxOffice11TextDisabledColor = ColorToRGB(clGrayText);
    Office11Gradient = 75;
    dxOffice11GroupColor = face;
    dxOffice11DayNavigatorSelectedColor = dxOffice11DownedColor;
    dxOffice11OutlookControlColor = dxOffice11DockColor1;
    dxOffice11OutlookBorderColor = dxOffice11DropDownBorderColor1;
    dxOffice11GroupIndentColor = face;
    dxOffice11GroupRowTextColor = dxOffice11GroupRowSeparatorColor = shadow;
    dxOffice11NavPaneBorder = Office11Near(shadow);
    dxOffice11NavPaneGroupCaptionColor1 = GetdxOffice11NavPaneGroupCaptionColor(true);
    dxOffice11NavPaneGroupCaptionColor2 = GetdxOffice11NavPaneGroupCaptionColor(false);
    dxOffice11NavPaneGroupCaptionHotColor1 = dxOffice11SelectedColor1;
    dxOffice11NavPaneGroupCaptionHotColor2 = dxOffice11SelectedColor2;
    dxOffice11NavPaneGroupCaptionPressedColor1 = dxOffice11NavPaneGroupCaptionPressedColor2 =
        dxOffice11DownedColor;
    dxOffice11NavPaneGroupCaptionPressedHotColor1 = dxOffice11NavPaneGroupCaptionPressedHotColor2 =
        dxOffice11DownedSelectedColor;
    dxOffice11NavPaneHeaderColor1 = dxOffice11NavPaneHeaderColor2 = dxOffice11NavPaneBorder;
    dxOffice11NavPaneHeaderFontColor = ColorToRGB(clHighlightText);
    dxOffice11NavPaneSplitterColor1 = Office11Near(face);
    dxOffice11NavPaneSplitterColor2 = dxOffice11NavPaneBorder;
  }
  for (int32_t i = 0; i < 3; ++i)
    dxOffice11BarBorderMarkColors[3 + i] =
        Office11Mix(dxOffice11BarMarkColors2[i], dxOffice11BarBorderColors[1], 50);
  dxOffice11BarFloatingBorderColor3 = dxOffice11ToolbarsColor1;
  dxOffice11BarFloatingCaptionColor = dxOffice11BarFloatingBorderColor1;
  dxOffice11DropDownBorderColor2 = dxOffice11MenuColor;
  dxOffice11MenuDownedColor1 = dxOffice11MenuIndentColor1 = dxOffice11ToolbarsColor1;
  dxOffice11MenuDownedColor2 = dxOffice11MenuIndentColor2 = dxOffice11ToolbarsColor2;
  dxOffice11MenuNonRecentIndentColor1 = Office11Mix(dxOffice11ToolbarsColor1, clBlack, 92);
  dxOffice11MenuNonRecentIndentColor2 = Office11Mix(dxOffice11MenuIndentColor2, clBlack, 92);
  dxOffice11DetachableSelectedColor = dxOffice11ToolbarSelectedColor;
  dxOffice11StaticBorderColor = dxOffice11ControlBorderColor = dxOffice11DropDownBorderColor1;
  dxOffice11DateHeaderColor = dxOffice11DockColor1;
  dxOffice11InPlaceSubItemColor = dxOffice11BarBorderMarkColors[3];
  dxOffice11InPlaceSubItemTextColor = dxOffice11BarFloatingCaptionTextColor1;
  dxOffice11ExpandButtonColor1 = static_cast<TColor>(RGB(158, 174, 191));
  dxOffice11ExpandButtonColor2 = static_cast<TColor>(RGB(46, 70, 95));
}

// The submenu arrow: a right-pointing triangle on a background of its own colour, its
// inside shaded from left to right in grey (recoloured afterwards), outlined in black.
TBitmap* Office11MakeSubMenuExpandBitmap() {
  auto* b = new TBitmap();
  b->SetPixelFormat(pf24bit);
  b->SetSize(7, 9);
  HDC dc = b->Canvas()->Handle();
  for (int32_t y = 0; y < 9; ++y)
    for (int32_t x = 0; x < 7; ++x) SetPixel(dc, x, y, RGB(255, 0, 255));
  for (int32_t x = 1; x <= 4; ++x) {
    const int32_t half = 4 - x;
    for (int32_t y = 4 - half; y <= 4 + half; ++y) {
      const bool edge = y == 4 - half || y == 4 + half || x == 1;
      const uint8_t g = static_cast<uint8_t>(80 + x * 40);
      SetPixel(dc, x, y, edge ? RGB(0, 0, 0) : RGB(g, g, g));
    }
  }
  return b;
}

void Office11PrepareSubMenuExpandBitmap(TBitmap* ABitmap) {
  HDC dc = ABitmap->Canvas()->Handle();
  const COLORREF background = GetPixel(dc, 0, 0);
  TColor c1 = dxOffice11ToolbarsColor1, c2 = dxOffice11ToolbarsColor2;
  if (c1 == c2) c2 = c1 == clBlack ? clWhite : clBlack;
  int32_t lo = 255, hi = 1;
  const int32_t w = ABitmap->Width(), h = ABitmap->Height();
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const COLORREF p = GetPixel(dc, x, y);
      if (p == background || p == 0) continue;
      lo = std::min<int32_t>(lo, GetRValue(p));
      hi = std::max<int32_t>(hi, GetRValue(p));
    }
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const COLORREF p = GetPixel(dc, x, y);
      if (p == background || p == 0) continue;
      // A single shade (hi = lo) would divide by zero: it takes the first colour.
      const int32_t percent = hi > lo ? MulDiv(GetRValue(p) - lo, 100, hi - lo) : 0;
      SetPixel(dc, x, y, ColorToRGB(Office11Mix(c1, c2, percent)));
    }
}

// The 11 x 11 expand buttons of the module's bitmap resources.
TBitmap* Office11LoadExpandButtonBitmap(bool APlus) {
  TResourceStream stream(APlus ? u"DXEXPANDBUTTON_PLUS" : u"DXEXPANDBUTTON_MINUS", RT_BITMAP);
  auto b = std::make_unique<TBitmap>();
  b->LoadFromStream(&stream);
  return b.release();
}

void Office11DeleteBrush(HBRUSH& ABrush) {
  if (ABrush) DeleteObject(ABrush);
  ABrush = nullptr;
}

void CreateOffice11Brushes() {
  dxOffice11BarFingerBrush1 = CreateSolidBrush(ColorToRGB(dxOffice11BarFingerColor1));
  dxOffice11BarFingerBrush2 = CreateSolidBrush(ColorToRGB(dxOffice11BarFingerColor2));
  dxOffice11BarSeparatorBrush1 = CreateSolidBrush(ColorToRGB(dxOffice11BarSeparatorColor1));
  dxOffice11BarSeparatorBrush2 = CreateSolidBrush(ColorToRGB(dxOffice11BarSeparatorColor2));
  dxOffice11DropDownBorderBrush1 = CreateSolidBrush(ColorToRGB(dxOffice11DropDownBorderColor1));
  dxOffice11StaticBorderBrush = dxOffice11DropDownBorderBrush1;
  dxOffice11MenuBrush = CreateSolidBrush(ColorToRGB(dxOffice11MenuColor));
  dxOffice11DropDownBorderBrush2 = dxOffice11MenuBrush;
  dxOffice11SelectedBorderBrush = CreateSolidBrush(ColorToRGB(dxOffice11SelectedBorderColor));
  dxOffice11OwnerControlDownedBrush = CreateSolidBrush(ColorToRGB(dxOffice11OwnerControlDownedColor));
  dxOffice11DownedBrush = CreateSolidBrush(ColorToRGB(dxOffice11DownedColor));
  dxOffice11DownedSelectedBrush = CreateSolidBrush(ColorToRGB(dxOffice11DownedSelectedColor));
  dxOffice11DetachableBrush = CreateSolidBrush(ColorToRGB(dxOffice11DetachableColor));
  dxOffice11ToolbarSelectedBrush = CreateSolidBrush(ColorToRGB(dxOffice11ToolbarSelectedColor));
  dxOffice11DetachableSelectedBrush = dxOffice11ToolbarSelectedBrush;
  dxOffice11InPlaceSubItemBrush = CreateSolidBrush(ColorToRGB(dxOffice11InPlaceSubItemColor));
  dxOffice11SubMenuExpandBitmap = Office11MakeSubMenuExpandBitmap();
  Office11PrepareSubMenuExpandBitmap(dxOffice11SubMenuExpandBitmap);
  dxOffice11ExpandButtonBitmap1 = Office11LoadExpandButtonBitmap(false);
  dxOffice11ExpandButtonBitmap2 = Office11LoadExpandButtonBitmap(true);
}

void DestroyOffice11Brushes() {
  for (TBitmap** b :
       {&dxOffice11SubMenuExpandBitmap, &dxOffice11ExpandButtonBitmap1, &dxOffice11ExpandButtonBitmap2}) {
    delete *b;
    *b = nullptr;
  }
  // Shared brushes are deleted once, through their first name.
  dxOffice11StaticBorderBrush = nullptr;
  dxOffice11DropDownBorderBrush2 = nullptr;
  dxOffice11DetachableSelectedBrush = nullptr;
  for (HBRUSH* b : {&dxOffice11BarFingerBrush1, &dxOffice11BarFingerBrush2, &dxOffice11BarSeparatorBrush1,
                    &dxOffice11BarSeparatorBrush2, &dxOffice11DropDownBorderBrush1, &dxOffice11MenuBrush,
                    &dxOffice11SelectedBorderBrush, &dxOffice11OwnerControlDownedBrush,
                    &dxOffice11DownedBrush, &dxOffice11DownedSelectedBrush, &dxOffice11DetachableBrush,
                    &dxOffice11ToolbarSelectedBrush, &dxOffice11InPlaceSubItemBrush})
    Office11DeleteBrush(*b);
}

void Office11FillDot(HDC DC, const TRect& R, HBRUSH ABrush) {
  RECT r = R;
  FillRect(DC, &r, ABrush);
}

}  // namespace

TOffice11Scheme dxGetOffice11Scheme() {
  if (!AreVisualStylesAvailable()) return schUnknown;
  WCHAR fileName[1024] = {}, colorName[1024] = {}, sizeName[1024] = {};
  if (dxUxTheme::GetCurrentThemeName(fileName, 1024, colorName, 1024, sizeName, 1024) != S_OK)
    return schUnknown;
  if (!IsWinVistaOrLater()) {
    String file(fileName);
    const size_t slash = file.find_last_of(u"\\/");
    if (slash != String::npos) file.erase(0, slash + 1);
    if (UpperCase(file) != u"LUNA.MSSTYLES") return schUnknown;
  }
  const String color = UpperCase(String(colorName));
  if (color == u"NORMALCOLOR") return schNormalColor;
  if (color == u"HOMESTEAD") return schHomestead;
  if (color == u"METALLIC") return schMetallic;
  return schUnknown;
}

void CreateOffice11Colors() {
  if (Office11Counter == 0) {
    InitOffice11Colors();
    CreateOffice11Brushes();
    Office11ThemeListener = std::make_unique<TdxThemeChangedNotificator>();
    Office11ThemeListener->SetOnThemeChanged(TdxThemeChangedEvent(&RefreshOffice11Colors));
  }
  ++Office11Counter;
}

void ReleaseOffice11Colors() {
  if (Office11Counter <= 0) return;
  if (--Office11Counter == 0) {
    Office11ThemeListener.reset();
    DestroyOffice11Brushes();
  }
}

void RefreshOffice11Colors() {
  InitOffice11Colors();
  if (Office11Counter > 0) {
    DestroyOffice11Brushes();
    CreateOffice11Brushes();
  }
}

TOffice11Scheme GetOffice11Scheme() {
  return Office11Scheme;
}

bool IsXPStandardScheme() {
  return Office11XPStandardScheme;
}

int32_t Office11GradientPercent() {
  return Office11Gradient;
}

int32_t Office11ColorsCounter() {
  return Office11Counter;
}

TColor GetdxOffice11NavPaneGroupCaptionColor(bool AStart) {
  const COLORREF face = ColorToRGB(clBtnFace);
  auto part = [AStart](int32_t c) { return AStart ? c * 127 / 255 + 128 : (c - c * 4 / 255 + 4) & 255; };
  return Office11Near(
      static_cast<TColor>(RGB(part(GetRValue(face)), part(GetGValue(face)), part(GetBValue(face)))));
}

void Office11FillTubeGradientRect(HDC DC, const TRect& ARect, TColor AColor1, TColor AColor2,
                                  bool AHorizontal) {
  FillTubeGradientRect(DC, ARect, AColor1, AColor2, Office11Gradient, AHorizontal);
}

void Office11FrameSelectedRect(HDC DC, const TRect& ARect) {
  if (IsHighContrastBlack() || IsHighContrast2()) {
    FrameRectByColor(DC, ARect, clHighlightText);
  } else {
    RECT r = ARect;
    FrameRect(DC, &r, dxOffice11SelectedBorderBrush);
  }
}

int32_t GetOffice11FingerElementSize(const TdxScaleFactor* AScaleFactor) {
  return (AScaleFactor ? AScaleFactor : dxSystemScaleFactor())->Apply(4);
}

void Office11DrawFingerElements(HDC DC, const TRect& ARect, bool AOnlyVertical, HBRUSH ABrush1,
                                HBRUSH ABrush2, const TdxScaleFactor* AScaleFactor) {
  const TdxScaleFactor* scale = AScaleFactor ? AScaleFactor : dxSystemScaleFactor();
  if (!ABrush1) ABrush1 = dxOffice11BarFingerBrush1;
  if (!ABrush2) ABrush2 = dxOffice11BarFingerBrush2;
  const int32_t s = GetOffice11FingerElementSize(scale), o = scale->Apply(1);
  TRect dot{ARect.Left, ARect.Top, ARect.Left + s, ARect.Top + s};
  const int32_t length = AOnlyVertical ? ARect.Height() : ARect.Width();
  const int32_t rest = length - s * (length / 4);
  const int32_t shift = rest > o ? rest / 2 : rest;
  if (AOnlyVertical)
    dot = {dot.Left, dot.Top + shift, dot.Right, dot.Bottom + shift};
  else
    dot = {dot.Left + shift, dot.Top, dot.Right + shift, dot.Bottom};
  while (s > 0 && (AOnlyVertical ? dot.Bottom <= ARect.Bottom : dot.Right <= ARect.Right)) {
    const TRect inner{dot.Left + o, dot.Top + o, dot.Right - o, dot.Bottom - o};
    Office11FillDot(DC, inner, ABrush2);
    Office11FillDot(DC, TRect{inner.Left - o, inner.Top - o, inner.Right - o, inner.Bottom - o}, ABrush1);
    if (AOnlyVertical)
      dot = {dot.Left, dot.Top + s, dot.Right, dot.Bottom + s};
    else
      dot = {dot.Left + s, dot.Top, dot.Right + s, dot.Bottom};
  }
}

void Office11DrawSizeGrip(HDC DC, const TRect& ARect, TColor AColor1, TColor AColor2,
                          const TdxScaleFactor* AScaleFactor) {
  const TdxScaleFactor* scale = AScaleFactor ? AScaleFactor : dxSystemScaleFactor();
  HBRUSH brush1 = AColor1 == clDefault ? nullptr : CreateSolidBrush(ColorToRGB(AColor1));
  HBRUSH brush2 = AColor2 == clDefault ? nullptr : CreateSolidBrush(ColorToRGB(AColor2));
  const int32_t s = GetOffice11FingerElementSize(scale);
  TRect row{ARect.Right - 12, ARect.Bottom - scale->Apply(3), ARect.Right, ARect.Bottom};
  for (int32_t i = 0; i < 3; ++i) {
    Office11DrawFingerElements(DC, row, false, brush1, brush2, scale);
    row = {row.Left + 4, row.Top - s, row.Right, row.Bottom - s};
  }
  if (brush1) DeleteObject(brush1);
  if (brush2) DeleteObject(brush2);
}

}  // namespace qd
