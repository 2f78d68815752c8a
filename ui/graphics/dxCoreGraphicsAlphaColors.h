#pragma once
// Alpha colours: conversions between TColor and TdxAlphaColor, and TdxAlphaColors, the
// dictionary of the named colours, the live system colours and the HTML colour names, with
// parsing from and formatting to HTML colour text.
#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/base/types.h"
#include "platform/forms/controls.h"
#include "platform/forms/graphics.h"
#include "ui/graphics/dxCoreGraphics.h"

namespace qd {

constexpr TdxAlphaColor TdxAlphaColorsTransparent = 0;
constexpr TdxAlphaColor TdxAlphaColorsDefault = 0x00010203;

TdxAlphaColor dxMakeAlphaColor(uint8_t A, uint8_t R, uint8_t G, uint8_t B);
// clNone gives 0 and clDefault 0x00010203 (AAlpha ignored); other colours are resolved to RGB.
TdxAlphaColor dxMakeAlphaColor(TColor AColor, uint8_t AAlpha = 255);
TdxAlphaColor dxColorToAlphaColor(TColor AColor, uint8_t AAlpha = 255);
// The same packing without the two sentinels.
uint32_t dxColorToRGBQuad(TColor AColor, uint8_t AReserved = 0);
// 0 gives clNone and 0x00010203 clDefault (AAlpha 0 for both).
TColor dxAlphaColorToColor(TdxAlphaColor AColor, uint8_t& AAlpha);
TColor dxAlphaColorToColor(TdxAlphaColor AColor);
RGBQUAD dxAlphaColorToRGBQuad(TdxAlphaColor AColor);
// Red and blue exchanged; the reserved byte becomes bits 24..31.
TColor dxRGBQuadToColor(const RGBQUAD& AQuad);
inline uint8_t dxGetAlpha(TdxAlphaColor AColor) {
  return static_cast<uint8_t>(AColor >> 24);
}

class TdxAlphaColors {
 public:
  enum TSystemColor : uint8_t {
    cActiveBorder,
    cActiveCaption,
    cActiveCaptionText,
    cAppWorkspace,
    cButtonFace,
    cButtonHighlight,
    cButtonShadow,
    cControl,
    cControlDark,
    cControlDarkDark,
    cControlLight,
    cControlLightLight,
    cControlText,
    cDesktop,
    cGradientActiveCaption,
    cGradientInactiveCaption,
    cGrayText,
    cHighlight,
    cHighlightText,
    cHotTrack,
    cInactiveBorder,
    cInactiveCaption,
    cInactiveCaptionText,
    cInfo,
    cInfoText,
    cMenu,
    cMenuBar,
    cMenuHighlight,
    cMenuText,
    cScrollBar,
    cWindow,
    cWindowFrame,
    cWindowText
  };
  static constexpr int SystemColorCount = 33;
  struct TSystemColorData {
    const Char* Name;
    int Index;  // the GetSysColor index
  };
  static const TSystemColorData SystemColorsData[SystemColorCount];

  struct TColorInfo {
    String Name;
    TdxAlphaColor Color;
  };

  TdxAlphaColors() = delete;

  static TdxAlphaColor FromArgb(uint8_t A, uint8_t R, uint8_t G, uint8_t B) {
    return dxMakeAlphaColor(A, R, G, B);
  }
  // True for 0 and 0x00FFFFFF only.
  static bool IsTransparentOrEmpty(TdxAlphaColor AColor) { return AColor == 0 || AColor == 0x00FFFFFF; }
  // The first name whose value equals all 32 bits, else empty.
  static String GetColorName(TdxAlphaColor AColor);
  // "#rrggbb", "#rgb" or a name (any case); 0 for an unknown name. A "#" text of length 4 or
  // 7 with a non-hexadecimal digit raises EConvertError.
  static TdxAlphaColor FromHtml(StringView AText);
  static String ToHtml(TdxAlphaColor AColor, bool AUseNames = true);
  // The operating system's colour now, opaque.
  static TdxAlphaColor GetSystemAlphaColor(TSystemColor ASystemColor);
  static void UpdateSystemColors();
  static TdxAlphaColor SystemColor(TSystemColor AColor) { return FSystemColors[AColor]; }

  static TdxAlphaColor ActiveBorder() { return FSystemColors[cActiveBorder]; }
  static TdxAlphaColor ActiveCaption() { return FSystemColors[cActiveCaption]; }
  static TdxAlphaColor ActiveCaptionText() { return FSystemColors[cActiveCaptionText]; }
  static TdxAlphaColor AppWorkSpace() { return FSystemColors[cAppWorkspace]; }
  static TdxAlphaColor Control() { return FSystemColors[cControl]; }
  static TdxAlphaColor ControlDark() { return FSystemColors[cControlDark]; }
  static TdxAlphaColor ControlDarkDark() { return FSystemColors[cControlDarkDark]; }
  static TdxAlphaColor ControlLight() { return FSystemColors[cControlLight]; }
  static TdxAlphaColor ControlLightLight() { return FSystemColors[cControlLightLight]; }
  static TdxAlphaColor ControlText() { return FSystemColors[cControlText]; }
  static TdxAlphaColor Desktop() { return FSystemColors[cDesktop]; }
  static TdxAlphaColor GradientActiveCaption() { return FSystemColors[cGradientActiveCaption]; }
  static TdxAlphaColor GradientInactiveCaption() { return FSystemColors[cGradientInactiveCaption]; }
  static TdxAlphaColor GrayText() { return FSystemColors[cGrayText]; }
  static TdxAlphaColor Highlight() { return FSystemColors[cHighlight]; }
  static TdxAlphaColor HighlightText() { return FSystemColors[cHighlightText]; }
  static TdxAlphaColor HotTrack() { return FSystemColors[cHotTrack]; }
  static TdxAlphaColor InactiveBorder() { return FSystemColors[cInactiveBorder]; }
  static TdxAlphaColor InactiveCaption() { return FSystemColors[cInactiveCaption]; }
  static TdxAlphaColor InactiveCaptionText() { return FSystemColors[cInactiveCaptionText]; }
  static TdxAlphaColor Info() { return FSystemColors[cInfo]; }
  static TdxAlphaColor InfoText() { return FSystemColors[cInfoText]; }
  static TdxAlphaColor Menu() { return FSystemColors[cMenu]; }
  static TdxAlphaColor MenuBar() { return FSystemColors[cMenuBar]; }
  static TdxAlphaColor MenuHighlight() { return FSystemColors[cMenuHighlight]; }
  static TdxAlphaColor MenuText() { return FSystemColors[cMenuText]; }
  static TdxAlphaColor ScrollBar() { return FSystemColors[cScrollBar]; }
  static TdxAlphaColor Window() { return FSystemColors[cWindow]; }
  static TdxAlphaColor WindowFrame() { return FSystemColors[cWindowFrame]; }
  static TdxAlphaColor WindowText() { return FSystemColors[cWindowText]; }

  // Unit start-up and shut-down (run once however often called).
  static void Initialize();
  static void Finalize();

 private:
  class TUpdateSystemColorsListener {
   public:
    TUpdateSystemColorsListener();
    ~TUpdateSystemColorsListener();
    HWND Handle() const { return FHandle; }

   private:
    void WndProc(TMessage& AMessage);
    HWND FHandle = nullptr;
  };

  static void UpdateHtmlSystemColors();

  static std::array<TdxAlphaColor, SystemColorCount> FSystemColors;
  static std::unordered_map<String, TdxAlphaColor>* FNameToColorMap;
  static std::unordered_map<String, TdxAlphaColor>* FHtmlNameToColorMap;
  static std::vector<TColorInfo>* FColorToNameMap;
  static TUpdateSystemColorsListener* FSystemColorsListener;
  static int _ClassInitFlag;
};

namespace dxCoreGraphics {
// The alpha-colour tables' start-up and shut-down.
void Initialize();
void Finalize();
}  // namespace dxCoreGraphics

}  // namespace qd
