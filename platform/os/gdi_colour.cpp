// System colours and palettes (a true-colour device: palettes only map colours).
#include <algorithm>
#include <array>
#include <mutex>

#include "platform/os/gdi_internal.h"

namespace qd::gdi {

namespace {

// The defaults of a current Windows 10 desktop.
constexpr std::array<COLORREF, 31> kDefaultSysColors = {
    RGB(200, 200, 200),  // COLOR_SCROLLBAR
    RGB(0, 0, 0),        // COLOR_BACKGROUND
    RGB(153, 180, 209),  // COLOR_ACTIVECAPTION
    RGB(191, 205, 219),  // COLOR_INACTIVECAPTION
    RGB(240, 240, 240),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(100, 100, 100),  // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(0, 0, 0),        // COLOR_CAPTIONTEXT
    RGB(180, 180, 180),  // COLOR_ACTIVEBORDER
    RGB(244, 247, 252),  // COLOR_INACTIVEBORDER
    RGB(171, 171, 171),  // COLOR_APPWORKSPACE
    RGB(0, 120, 215),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(240, 240, 240),  // COLOR_BTNFACE
    RGB(160, 160, 160),  // COLOR_BTNSHADOW
    RGB(109, 109, 109),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(0, 0, 0),        // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(105, 105, 105),  // COLOR_3DDKSHADOW
    RGB(227, 227, 227),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(0, 0, 0),        // 25: unused
    RGB(0, 102, 204),    // COLOR_HOTLIGHT
    RGB(185, 209, 234),  // COLOR_GRADIENTACTIVECAPTION
    RGB(215, 228, 242),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(0, 120, 215),    // COLOR_MENUHILIGHT
    RGB(240, 240, 240),  // COLOR_MENUBAR
};

std::array<COLORREF, 31>& Colors() {
  static std::array<COLORREF, 31> colors = kDefaultSysColors;
  return colors;
}

}  // namespace

COLORREF SysColor(int index) {
  if (index < 0 || index >= 31) return 0;
  return Colors()[static_cast<size_t>(index)];
}

void SetSysColorValue(int index, COLORREF color) {
  if (index < 0 || index >= 31) return;
  Colors()[static_cast<size_t>(index)] = color & 0xFFFFFF;
}

void ResetSysColors() {
  Colors() = kDefaultSysColors;
}

}  // namespace qd::gdi

namespace qd {
using namespace gdi;

DWORD GetSysColor(int index) {
  return SysColor(index);
}

HBRUSH GetSysColorBrush(int index) {
  return static_cast<HBRUSH>(SysColorBrushHandle(index));
}

HPALETTE CreatePalette(const LOGPALETTE* lp) {
  if (!lp || lp->palVersion != 0x300) return nullptr;
  auto p = std::make_unique<Palette>();
  p->entries.assign(lp->palPalEntry, lp->palPalEntry + lp->palNumEntries);
  return static_cast<HPALETTE>(AddObject(std::move(p)));
}

HPALETTE CreateHalftonePalette(HDC) {
  auto p = std::make_unique<Palette>();
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        p->entries.push_back(
            {static_cast<BYTE>(r * 51), static_cast<BYTE>(g * 51), static_cast<BYTE>(b * 51), 0});
  return static_cast<HPALETTE>(AddObject(std::move(p)));
}

HPALETTE SelectPalette(HDC h, HPALETTE palette, BOOL) {
  Dc* dc = FindDc(h);
  if (!dc || !Find<Palette>(palette)) return nullptr;
  HGDIOBJ old = dc->s.palette;
  if (old != palette) {
    Retain(palette);
    dc->s.palette = palette;
    Release(old);
  }
  return static_cast<HPALETTE>(old);
}

UINT RealizePalette(HDC h) {
  return FindDc(h) ? 0 : static_cast<UINT>(GDI_ERROR);
}

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries) {
  Palette* p = Find<Palette>(palette);
  if (!p) return 0;
  auto n = static_cast<UINT>(p->entries.size());
  if (!entries) return n;
  if (start >= n) return 0;
  UINT c = std::min(count, n - start);
  std::copy_n(p->entries.begin() + start, c, entries);
  return c;
}

UINT SetPaletteEntries(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries) {
  Palette* p = Find<Palette>(palette);
  if (!p || !entries) return 0;
  auto n = static_cast<UINT>(p->entries.size());
  if (start >= n) return 0;
  UINT c = std::min(count, n - start);
  std::copy_n(entries, c, p->entries.begin() + start);
  return c;
}

UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color) {
  Palette* p = Find<Palette>(palette);
  if (!p || p->entries.empty()) return CLR_INVALID;
  UINT best = 0;
  int bestDist = 1 << 30;
  for (UINT i = 0; i < p->entries.size(); ++i) {
    const PALETTEENTRY& e = p->entries[i];
    int dr = e.peRed - GetRValue(color), dg = e.peGreen - GetGValue(color), db = e.peBlue - GetBValue(color);
    int d = dr * dr + dg * dg + db * db;
    if (d < bestDist) {
      bestDist = d;
      best = i;
    }
  }
  return best;
}

COLORREF GetNearestColor(HDC h, COLORREF color) {
  Dc* dc = FindDc(h);
  if (!dc) return CLR_INVALID;
  POINT off;
  auto pm = TargetOf(*dc, &off);
  if (pm && pm->format != Format::Bgra32 && pm->format != Format::Rgb24)
    return ColorFromNative(*pm, NativeFromColor(*pm, color & 0xFFFFFF));
  return color & 0xFFFFFF;
}

UINT GetSystemPaletteEntries(HDC, UINT, UINT, PALETTEENTRY*) {
  return 0;
}

UINT GetSystemPaletteUse(HDC h) {
  return FindDc(h) ? SYSPAL_STATIC : SYSPAL_ERROR;
}

}  // namespace qd
