#include "ui/graphics/dxCoreGraphicsAlphaColors.h"

#include <cstdio>

#include "platform/base/exceptions.h"
#include "platform/base/strings.h"
#include "platform/os/gdi.h"
#include "platform/os/user.h"

namespace qd {

namespace {

struct TdxAlphaColorsNamedColor {
  const Char* Name;
  TdxAlphaColor Color;
};

// CSS values, except DarkSeaGreen (0xFF8FBC8B).
const TdxAlphaColorsNamedColor dxAlphaColorsNamed[] = {
    {u"AliceBlue", 0xFFF0F8FF},
    {u"AntiqueWhite", 0xFFFAEBD7},
    {u"Aqua", 0xFF00FFFF},
    {u"Aquamarine", 0xFF7FFFD4},
    {u"Azure", 0xFFF0FFFF},
    {u"Beige", 0xFFF5F5DC},
    {u"Bisque", 0xFFFFE4C4},
    {u"Black", 0xFF000000},
    {u"BlanchedAlmond", 0xFFFFEBCD},
    {u"Blue", 0xFF0000FF},
    {u"BlueViolet", 0xFF8A2BE2},
    {u"Brown", 0xFFA52A2A},
    {u"BurlyWood", 0xFFDEB887},
    {u"CadetBlue", 0xFF5F9EA0},
    {u"Chartreuse", 0xFF7FFF00},
    {u"Chocolate", 0xFFD2691E},
    {u"Coral", 0xFFFF7F50},
    {u"CornflowerBlue", 0xFF6495ED},
    {u"Cornsilk", 0xFFFFF8DC},
    {u"Crimson", 0xFFDC143C},
    {u"Cyan", 0xFF00FFFF},
    {u"DarkBlue", 0xFF00008B},
    {u"DarkCyan", 0xFF008B8B},
    {u"DarkGoldenrod", 0xFFB8860B},
    {u"DarkGray", 0xFFA9A9A9},
    {u"DarkGreen", 0xFF006400},
    {u"DarkKhaki", 0xFFBDB76B},
    {u"DarkMagenta", 0xFF8B008B},
    {u"DarkOliveGreen", 0xFF556B2F},
    {u"DarkOrange", 0xFFFF8C00},
    {u"DarkOrchid", 0xFF9932CC},
    {u"DarkRed", 0xFF8B0000},
    {u"DarkSalmon", 0xFFE9967A},
    {u"DarkSeaGreen", 0xFF8FBC8B},
    {u"DarkSlateBlue", 0xFF483D8B},
    {u"DarkSlateGray", 0xFF2F4F4F},
    {u"DarkTurquoise", 0xFF00CED1},
    {u"DarkViolet", 0xFF9400D3},
    {u"DeepPink", 0xFFFF1493},
    {u"DeepSkyBlue", 0xFF00BFFF},
    {u"DimGray", 0xFF696969},
    {u"DodgerBlue", 0xFF1E90FF},
    {u"Firebrick", 0xFFB22222},
    {u"FloralWhite", 0xFFFFFAF0},
    {u"ForestGreen", 0xFF228B22},
    {u"Fuchsia", 0xFFFF00FF},
    {u"Gainsboro", 0xFFDCDCDC},
    {u"GhostWhite", 0xFFF8F8FF},
    {u"Gold", 0xFFFFD700},
    {u"Goldenrod", 0xFFDAA520},
    {u"Gray", 0xFF808080},
    {u"Grey", 0xFF808080},
    {u"Green", 0xFF008000},
    {u"GreenYellow", 0xFFADFF2F},
    {u"Honeydew", 0xFFF0FFF0},
    {u"HotPink", 0xFFFF69B4},
    {u"IndianRed", 0xFFCD5C5C},
    {u"Indigo", 0xFF4B0082},
    {u"Ivory", 0xFFFFFFF0},
    {u"Khaki", 0xFFF0E68C},
    {u"Lavender", 0xFFE6E6FA},
    {u"LavenderBlush", 0xFFFFF0F5},
    {u"LawnGreen", 0xFF7CFC00},
    {u"LemonChiffon", 0xFFFFFACD},
    {u"LightBlue", 0xFFADD8E6},
    {u"LightCoral", 0xFFF08080},
    {u"LightCyan", 0xFFE0FFFF},
    {u"LightGoldenrodYellow", 0xFFFAFAD2},
    {u"LightGray", 0xFFD3D3D3},
    {u"LightGreen", 0xFF90EE90},
    {u"LightPink", 0xFFFFB6C1},
    {u"LightSalmon", 0xFFFFA07A},
    {u"LightSeaGreen", 0xFF20B2AA},
    {u"LightSkyBlue", 0xFF87CEFA},
    {u"LightSlateGray", 0xFF778899},
    {u"LightSteelBlue", 0xFFB0C4DE},
    {u"LightYellow", 0xFFFFFFE0},
    {u"Lime", 0xFF00FF00},
    {u"LimeGreen", 0xFF32CD32},
    {u"Linen", 0xFFFAF0E6},
    {u"Magenta", 0xFFFF00FF},
    {u"Maroon", 0xFF800000},
    {u"MediumAquamarine", 0xFF66CDAA},
    {u"MediumBlue", 0xFF0000CD},
    {u"MediumOrchid", 0xFFBA55D3},
    {u"MediumPurple", 0xFF9370DB},
    {u"MediumSeaGreen", 0xFF3CB371},
    {u"MediumSlateBlue", 0xFF7B68EE},
    {u"MediumSpringGreen", 0xFF00FA9A},
    {u"MediumTurquoise", 0xFF48D1CC},
    {u"MediumVioletRed", 0xFFC71585},
    {u"MidnightBlue", 0xFF191970},
    {u"MintCream", 0xFFF5FFFA},
    {u"MistyRose", 0xFFFFE4E1},
    {u"Moccasin", 0xFFFFE4B5},
    {u"NavajoWhite", 0xFFFFDEAD},
    {u"Navy", 0xFF000080},
    {u"OldLace", 0xFFFDF5E6},
    {u"Olive", 0xFF808000},
    {u"OliveDrab", 0xFF6B8E23},
    {u"Orange", 0xFFFFA500},
    {u"OrangeRed", 0xFFFF4500},
    {u"Orchid", 0xFFDA70D6},
    {u"PaleGoldenrod", 0xFFEEE8AA},
    {u"PaleGreen", 0xFF98FB98},
    {u"PaleTurquoise", 0xFFAFEEEE},
    {u"PaleVioletRed", 0xFFDB7093},
    {u"PapayaWhip", 0xFFFFEFD5},
    {u"PeachPuff", 0xFFFFDAB9},
    {u"Peru", 0xFFCD853F},
    {u"Pink", 0xFFFFC0CB},
    {u"Plum", 0xFFDDA0DD},
    {u"PowderBlue", 0xFFB0E0E6},
    {u"Purple", 0xFF800080},
    {u"Red", 0xFFFF0000},
    {u"RosyBrown", 0xFFBC8F8F},
    {u"RoyalBlue", 0xFF4169E1},
    {u"SaddleBrown", 0xFF8B4513},
    {u"Salmon", 0xFFFA8072},
    {u"SandyBrown", 0xFFF4A460},
    {u"SeaGreen", 0xFF2E8B57},
    {u"SeaShell", 0xFFFFF5EE},
    {u"Sienna", 0xFFA0522D},
    {u"Silver", 0xFFC0C0C0},
    {u"SkyBlue", 0xFF87CEEB},
    {u"SlateBlue", 0xFF6A5ACD},
    {u"SlateGray", 0xFF708090},
    {u"Snow", 0xFFFFFAFA},
    {u"SpringGreen", 0xFF00FF7F},
    {u"SteelBlue", 0xFF4682B4},
    {u"Tan", 0xFFD2B48C},
    {u"Teal", 0xFF008080},
    {u"Thistle", 0xFFD8BFD8},
    {u"Tomato", 0xFFFF6347},
    {u"Turquoise", 0xFF40E0D0},
    {u"Violet", 0xFFEE82EE},
    {u"Wheat", 0xFFF5DEB3},
    {u"White", 0xFFFFFFFF},
    {u"WhiteSmoke", 0xFFF5F5F5},
    {u"Yellow", 0xFFFFFF00},
    {u"YellowGreen", 0xFF9ACD32},
};
static_assert(sizeof(dxAlphaColorsNamed) / sizeof(dxAlphaColorsNamed[0]) == 141);

struct TdxAlphaColorsHtmlName {
  const Char* Name;
  TdxAlphaColors::TSystemColor Color;
};

const TdxAlphaColorsHtmlName dxAlphaColorsHtmlSystemNames[] = {
    {u"activeborder", TdxAlphaColors::cActiveBorder},
    {u"activecaption", TdxAlphaColors::cActiveCaption},
    {u"appworkspace", TdxAlphaColors::cAppWorkspace},
    {u"background", TdxAlphaColors::cDesktop},
    {u"buttonface", TdxAlphaColors::cControl},
    {u"buttonhighlight", TdxAlphaColors::cControlLightLight},
    {u"buttonshadow", TdxAlphaColors::cControlDark},
    {u"buttontext", TdxAlphaColors::cControlText},
    {u"captiontext", TdxAlphaColors::cActiveCaptionText},
    {u"graytext", TdxAlphaColors::cGrayText},
    {u"highlight", TdxAlphaColors::cHighlight},
    {u"highlighttext", TdxAlphaColors::cHighlightText},
    {u"inactiveborder", TdxAlphaColors::cInactiveBorder},
    {u"inactivecaption", TdxAlphaColors::cInactiveCaption},
    {u"inactivecaptiontext", TdxAlphaColors::cInactiveCaptionText},
    {u"infobackground", TdxAlphaColors::cInfo},
    {u"infotext", TdxAlphaColors::cInfoText},
    {u"menu", TdxAlphaColors::cMenu},
    {u"menutext", TdxAlphaColors::cMenuText},
    {u"scrollbar", TdxAlphaColors::cScrollBar},
    {u"threeddarkshadow", TdxAlphaColors::cControlDarkDark},
    {u"threedface", TdxAlphaColors::cControl},
    {u"threedhighlight", TdxAlphaColors::cControlLight},
    {u"threedlightshadow", TdxAlphaColors::cControlLightLight},
    {u"window", TdxAlphaColors::cWindow},
    {u"windowframe", TdxAlphaColors::cWindowFrame},
    {u"windowtext", TdxAlphaColors::cWindowText},
};

constexpr TdxAlphaColor dxAlphaColorsLightGrey = 0xFFD3D3D3;

bool dxAlphaColorsIsHexDigit(Char c) {
  return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// "$" + the characters read as an integer; only hexadecimal digits pass, so no partial result
// can come from text the integer parser would otherwise accept (signs, blanks).
uint8_t dxAlphaColorsHexByte(Char c1, Char c2) {
  const String text = String(u"$") + c1 + c2;
  if (!dxAlphaColorsIsHexDigit(c1) || !dxAlphaColorsIsHexDigit(c2))
    throw EConvertError(u"'" + text + u"' is not a valid integer value");
  return static_cast<uint8_t>(StrToInt(text));
}

}  // namespace

TdxAlphaColor dxMakeAlphaColor(uint8_t A, uint8_t R, uint8_t G, uint8_t B) {
  return (static_cast<uint32_t>(A) << 24) | (static_cast<uint32_t>(R) << 16) |
         (static_cast<uint32_t>(G) << 8) | B;
}

TdxAlphaColor dxMakeAlphaColor(TColor AColor, uint8_t AAlpha) {
  if (AColor == clNone) return TdxAlphaColorsTransparent;
  if (AColor == clDefault) return TdxAlphaColorsDefault;
  return dxColorToRGBQuad(AColor, AAlpha);
}

TdxAlphaColor dxColorToAlphaColor(TColor AColor, uint8_t AAlpha) {
  return dxMakeAlphaColor(AColor, AAlpha);
}

uint32_t dxColorToRGBQuad(TColor AColor, uint8_t AReserved) {
  const COLORREF c = ColorToRGB(AColor);
  return dxMakeAlphaColor(AReserved, GetRValue(c), GetGValue(c), GetBValue(c));
}

TColor dxAlphaColorToColor(TdxAlphaColor AColor, uint8_t& AAlpha) {
  if (AColor == TdxAlphaColorsTransparent || AColor == TdxAlphaColorsDefault) {
    AAlpha = 0;
    return AColor == 0 ? clNone : clDefault;
  }
  AAlpha = dxGetAlpha(AColor);
  return static_cast<TColor>(RGB((AColor >> 16) & 0xFF, (AColor >> 8) & 0xFF, AColor & 0xFF));
}

TColor dxAlphaColorToColor(TdxAlphaColor AColor) {
  uint8_t alpha;
  return dxAlphaColorToColor(AColor, alpha);
}

RGBQUAD dxAlphaColorToRGBQuad(TdxAlphaColor AColor) {
  return RGBQUAD{static_cast<uint8_t>(AColor), static_cast<uint8_t>(AColor >> 8),
                 static_cast<uint8_t>(AColor >> 16), static_cast<uint8_t>(AColor >> 24)};
}

TColor dxRGBQuadToColor(const RGBQUAD& AQuad) {
  return static_cast<TColor>(
      static_cast<uint32_t>(AQuad.rgbRed) | (static_cast<uint32_t>(AQuad.rgbGreen) << 8) |
      (static_cast<uint32_t>(AQuad.rgbBlue) << 16) | (static_cast<uint32_t>(AQuad.rgbReserved) << 24));
}

// --- TdxAlphaColors -------------------------------------------------------------------------

const TdxAlphaColors::TSystemColorData TdxAlphaColors::SystemColorsData[SystemColorCount] = {
    {u"ActiveBorder", 10},
    {u"ActiveCaption", 2},
    {u"ActiveCaptionText", 9},
    {u"AppWorkspace", 12},
    {u"ButtonFace", 15},
    {u"ButtonHighlight", 20},
    {u"ButtonShadow", 16},
    {u"Control", 15},
    {u"ControlDark", 16},
    {u"ControlDarkDark", 21},
    {u"ControlLight", 22},
    {u"ControlLightLight", 20},
    {u"ControlText", 18},
    {u"Desktop", 1},
    {u"GradientActiveCaption", 27},
    {u"GradientInactiveCaption", 28},
    {u"GrayText", 17},
    {u"Highlight", 13},
    {u"HighlightText", 14},
    {u"HotTrack", 26},
    {u"InactiveBorder", 11},
    {u"InactiveCaption", 3},
    {u"InactiveCaptionText", 19},
    {u"Info", 24},
    {u"InfoText", 23},
    {u"Menu", 4},
    {u"MenuBar", 30},
    {u"MenuHighlight", 29},
    {u"MenuText", 7},
    {u"ScrollBar", 0},
    {u"Window", 5},
    {u"WindowFrame", 6},
    {u"WindowText", 8},
};

std::array<TdxAlphaColor, TdxAlphaColors::SystemColorCount> TdxAlphaColors::FSystemColors{};
std::unordered_map<String, TdxAlphaColor>* TdxAlphaColors::FNameToColorMap = nullptr;
std::unordered_map<String, TdxAlphaColor>* TdxAlphaColors::FHtmlNameToColorMap = nullptr;
std::vector<TdxAlphaColors::TColorInfo>* TdxAlphaColors::FColorToNameMap = nullptr;
TdxAlphaColors::TUpdateSystemColorsListener* TdxAlphaColors::FSystemColorsListener = nullptr;
int TdxAlphaColors::_ClassInitFlag = 0;

TdxAlphaColors::TUpdateSystemColorsListener::TUpdateSystemColorsListener() {
  FHandle = AllocateHWnd(TWndMethod(this, &TUpdateSystemColorsListener::WndProc));
}

TdxAlphaColors::TUpdateSystemColorsListener::~TUpdateSystemColorsListener() {
  if (FHandle) DeallocateHWnd(FHandle);
}

void TdxAlphaColors::TUpdateSystemColorsListener::WndProc(TMessage& AMessage) {
  if (AMessage.Msg == WM_SYSCOLORCHANGE) TdxAlphaColors::UpdateSystemColors();
  AMessage.Result = DefWindowProcW(FHandle, AMessage.Msg, AMessage.WParam, AMessage.LParam);
}

void TdxAlphaColors::Initialize() {
  if (_ClassInitFlag++ != 0) return;
  FColorToNameMap = new std::vector<TColorInfo>();
  FColorToNameMap->reserve(166);
  FNameToColorMap = new std::unordered_map<String, TdxAlphaColor>(168);
  for (const auto& c : dxAlphaColorsNamed) {
    (*FNameToColorMap)[LowerCase(c.Name)] = c.Color;
    FColorToNameMap->push_back({c.Name, c.Color});
  }
  FHtmlNameToColorMap = new std::unordered_map<String, TdxAlphaColor>(28);
  UpdateHtmlSystemColors();
  (*FHtmlNameToColorMap)[u"lightgrey"] = dxAlphaColorsLightGrey;
  FSystemColorsListener = new TUpdateSystemColorsListener();
  UpdateSystemColors();
}

void TdxAlphaColors::Finalize() {
  if (_ClassInitFlag == 0 || --_ClassInitFlag != 0) return;
  delete FSystemColorsListener;
  FSystemColorsListener = nullptr;
  delete FHtmlNameToColorMap;
  FHtmlNameToColorMap = nullptr;
  delete FNameToColorMap;
  FNameToColorMap = nullptr;
  delete FColorToNameMap;
  FColorToNameMap = nullptr;
}

void TdxAlphaColors::UpdateHtmlSystemColors() {
  if (!FHtmlNameToColorMap) return;
  for (const auto& h : dxAlphaColorsHtmlSystemNames) (*FHtmlNameToColorMap)[h.Name] = FSystemColors[h.Color];
}

TdxAlphaColor TdxAlphaColors::GetSystemAlphaColor(TSystemColor ASystemColor) {
  const COLORREF c = GetSysColor(SystemColorsData[ASystemColor].Index);
  return FromArgb(255, GetRValue(c), GetGValue(c), GetBValue(c));
}

void TdxAlphaColors::UpdateSystemColors() {
  for (int i = 0; i < SystemColorCount; ++i) {
    FSystemColors[i] = GetSystemAlphaColor(static_cast<TSystemColor>(i));
    if (FNameToColorMap) (*FNameToColorMap)[LowerCase(SystemColorsData[i].Name)] = FSystemColors[i];
  }
  UpdateHtmlSystemColors();
}

String TdxAlphaColors::GetColorName(TdxAlphaColor AColor) {
  if (FColorToNameMap)
    for (const auto& info : *FColorToNameMap)
      if (info.Color == AColor) return info.Name;
  return {};
}

TdxAlphaColor TdxAlphaColors::FromHtml(StringView AText) {
  TdxAlphaColor result = 0;
  if (!AText.empty() && AText[0] == u'#') {
    if (AText.size() == 7)
      result = FromArgb(255, dxAlphaColorsHexByte(AText[1], AText[2]),
                        dxAlphaColorsHexByte(AText[3], AText[4]), dxAlphaColorsHexByte(AText[5], AText[6]));
    else if (AText.size() == 4)
      result = FromArgb(255, dxAlphaColorsHexByte(AText[1], AText[1]),
                        dxAlphaColorsHexByte(AText[2], AText[2]), dxAlphaColorsHexByte(AText[3], AText[3]));
  }
  if (result == 0 && !AText.empty()) {
    const String key = LowerCase(AText);
    if (FHtmlNameToColorMap) {
      auto it = FHtmlNameToColorMap->find(key);
      if (it != FHtmlNameToColorMap->end()) return it->second;
    }
    if (FNameToColorMap) {
      auto it = FNameToColorMap->find(key);
      if (it != FNameToColorMap->end()) return it->second;
    }
  }
  return result;
}

String TdxAlphaColors::ToHtml(TdxAlphaColor AColor, bool AUseNames) {
  if (AColor == 0) return {};
  if (AUseNames) {
    if (AColor == dxAlphaColorsLightGrey) return u"LightGrey";
    String name = GetColorName(AColor);
    if (!name.empty()) return name;
    const auto& s = FSystemColors;
    auto is = [&](TSystemColor c) { return s[c] == AColor; };
    if (is(cActiveBorder)) return u"activeborder";
    if (is(cGradientActiveCaption) || is(cActiveCaption)) return u"activecaption";
    if (is(cAppWorkspace)) return u"appworkspace";
    if (is(cDesktop)) return u"background";
    if (is(cControl) || is(cControlLight)) return u"buttonface";
    if (is(cControlDark)) return u"buttonshadow";
    if (is(cControlText)) return u"buttontext";
    if (is(cActiveCaptionText)) return u"captiontext";
    if (is(cGrayText)) return u"graytext";
    if (is(cHotTrack) && is(cHighlight)) return u"highlight";
    if (is(cMenuHighlight) && is(cHighlightText)) return u"highlighttext";
    if (is(cInactiveBorder)) return u"inactiveborder";
    if (is(cGradientInactiveCaption) && is(cInactiveCaption)) return u"inactivecaption";
    if (is(cInactiveCaptionText)) return u"inactivecaptiontext";
    if (is(cInfo)) return u"infobackground";
    if (is(cInfoText)) return u"infotext";
    if (is(cMenuBar) && is(cMenu)) return u"menu";
    if (is(cMenuText)) return u"menutext";
    if (is(cScrollBar)) return u"scrollbar";
    if (is(cControlDarkDark)) return u"threeddarkshadow";
    if (is(cControlLightLight)) return u"buttonhighlight";
    if (is(cWindow)) return u"window";
    if (is(cWindowFrame)) return u"windowframe";
    if (is(cWindowText)) return u"windowtext";
  }
  char buf[8];
  std::snprintf(buf, sizeof(buf), "#%.2x%.2x%.2x", (AColor >> 16) & 0xFF, (AColor >> 8) & 0xFF,
                AColor & 0xFF);
  return String(buf, buf + 7);
}

namespace dxCoreGraphics {

void Initialize() {
  TdxAlphaColors::Initialize();
}

void Finalize() {
  TdxAlphaColors::Finalize();
}

}  // namespace dxCoreGraphics

}  // namespace qd
