#pragma once
// What the GDI+ layer needs to know about a device context to draw into its pixels, and the
// font-family resolution it shares with GDI's fonts.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/os/gdi.h"

namespace qd::gdi {

struct DcTarget {
  // The pixels the DC draws into; width 0 when it draws nowhere (a display DC).
  uint8_t* top = nullptr;  // row 0
  ptrdiff_t stride = 0;    // bytes from a row to the one below; negative for bottom-up storage
  int32_t width = 0;
  int32_t height = 0;
  bool bgra32 = false;  // 32-bit 0xAARRGGBB pixels that can be drawn directly
  POINT offset;         // pixel position = device position + offset
  // The drawable area after the visible region and the DC's clip region, device coordinates.
  std::vector<RECT> clip;
  // Logical to device coordinates: x' = x m11 + y m21 + dx, y' = x m12 + y m22 + dy.
  double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
};

// False when `dc` is not a device context.
bool GetDcTarget(HDC dc, DcTarget& out);

// Pixels of a DC's target that is not 32-bit, as 0xFFRRGGBB, in pixel coordinates (the
// rectangle must lie inside the target). False when the DC has no target.
bool ReadDcPixels(HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t* dst, ptrdiff_t dstStride);
bool WriteDcPixels(HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, const uint32_t* src,
                   ptrdiff_t srcStride);

// Resolves a family name the way GDI's fonts do (including their substitutions for the
// faces the system asks for), but reports a name that resolves to no installed family as
// not found instead of falling back. `family` is the installed family, `file` the face for
// the weight and slant.
bool ResolveFontFamily(const std::u16string& name, int weight, bool italic, std::string& family,
                       std::string& file);

// The installed family and face file GDI would use for a logical font (it always finds one).
bool ResolveLogFontFamily(const LOGFONTW& font, std::string& family, std::string& file);

}  // namespace qd::gdi
