#pragma once
// The seam between GDI and the window manager: device contexts over a window's pixels.
//
// Every top-level window owns one Surface of its window size. A child window draws into
// its top-level window's surface: its DC has a device offset (where the DC's device
// point (0,0) lies in the surface) and a visible region (in device coordinates of the DC,
// i.e. relative to that offset) set by the window manager. GDI clips every drawing to
// the intersection of the visible region, the DC's own clip region and the surface.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/os/wintypes.h"

struct pixman_region32;

namespace qd::gdi {

// 32 bits per pixel, top-down rows, BGRA byte order (0xAARRGGBB as uint32_t).
struct Surface {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;  // width * height
  void Resize(int32_t w, int32_t h);
  uint32_t* Row(int32_t y) { return pixels.data() + static_cast<size_t>(y) * width; }
};

// A DC that draws into the surface (window, client or paint DCs of the window manager).
// visibleRegion may be nullptr (the whole surface from the offset on); the DC copies it.
HDC CreateSurfaceDC(std::shared_ptr<Surface> surface, POINT deviceOffset, HRGN visibleRegion, HWND window);
// Changes the visible region or offset of a DC made by CreateSurfaceDC (the window moved).
void SetSurfaceDCVisibleRegion(HDC dc, POINT deviceOffset, HRGN visibleRegion);
// Mirrors a DC made by CreateSurfaceDC for a right-to-left window: LAYOUT_RTL over `width`
// device pixels (the client or window width), as SetLayout would with that width.
void SetSurfaceDCMirrored(HDC dc, int32_t width);
// Frees a DC made by CreateSurfaceDC (ReleaseDC/EndPaint end up here).
void DeleteSurfaceDC(HDC dc);
// The window a DC made by CreateSurfaceDC belongs to; nullptr for other DCs.
HWND WindowOfDC(HDC dc);

// Regions as pixman regions, for the window manager's update and visible regions.
HRGN CreateRegionFromPixman(const pixman_region32* region);
// The region's rectangles, or nullptr when the handle is not a region.
const pixman_region32* RegionData(HRGN region);

// Settings of the screen device that GDI reports (GetDeviceCaps, default font sizes).
void SetScreenDpi(int dpi);                 // LOGPIXELSX/Y, 96 by default
void SetScreenSize(int width, int height);  // HORZRES/VERTRES, 1920 x 1080 by default
// Sets one system colour (GetSysColor, GetSysColorBrush) without any notification;
// SetSysColors of the window manager calls it and then broadcasts the change.
void SetSysColorValue(int index, COLORREF color);
// Restores the default system colours.
void ResetSysColors();

}  // namespace qd::gdi
