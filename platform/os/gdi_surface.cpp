// The seam to the window manager: surface DCs and pixman regions.
#include "platform/os/gdi_surface.h"

#include <algorithm>

#include "platform/os/gdi_internal.h"
#include "platform/os/gdi_region.h"
#include "platform/os/kernel.h"

namespace qd::gdi {

void Surface::Resize(int32_t w, int32_t h) {
  width = std::max(w, 0);
  height = std::max(h, 0);
  pixels.assign(static_cast<size_t>(width) * height, 0);
}

HDC CreateSurfaceDC(std::shared_ptr<Surface> surface, POINT deviceOffset, HRGN visibleRegion, HWND window) {
  auto d = std::make_unique<Dc>();
  d->type = DcType::Surface;
  d->surface = std::move(surface);
  d->offset = deviceOffset;
  if (Region* r = Find<Region>(visibleRegion)) d->vis = r->rgn;
  d->window = window;
  d->thread = GetCurrentThreadId();
  DcState& s = d->s;
  s.pen = StockObject(BLACK_PEN);
  s.brush = StockObject(WHITE_BRUSH);
  s.font = StockObject(SYSTEM_FONT);
  s.palette = StockObject(DEFAULT_PALETTE);
  for (HGDIOBJ h : {s.pen, s.brush, s.font, s.palette}) Retain(h);
  return static_cast<HDC>(AddObject(std::move(d)));
}

void SetSurfaceDCVisibleRegion(HDC h, POINT deviceOffset, HRGN visibleRegion) {
  Dc* dc = Find<Dc>(h);
  if (!dc || dc->type != DcType::Surface) return;
  dc->offset = deviceOffset;
  if (Region* r = Find<Region>(visibleRegion))
    dc->vis = r->rgn;
  else
    dc->vis.reset();
}

void SetSurfaceDCMirrored(HDC h, int32_t width) {
  Dc* dc = Find<Dc>(h);
  if (!dc || dc->type != DcType::Surface) return;
  dc->layoutWidth = std::max(width, 0);
  dc->s.layout = LAYOUT_RTL;
}

void DeleteSurfaceDC(HDC h) {
  Dc* dc = Find<Dc>(h);
  if (!dc || dc->type != DcType::Surface) return;
  RemoveObject(h);
}

HWND WindowOfDC(HDC h) {
  Dc* dc = Find<Dc>(h);
  return dc && dc->type == DcType::Surface ? dc->window : nullptr;
}

HRGN CreateRegionFromPixman(const pixman_region32* region) {
  Rgn r;
  if (region) pixman_region32_copy(r.get(), const_cast<pixman_region32*>(region));
  return NewRegion(std::move(r));
}

const pixman_region32* RegionData(HRGN region) {
  Region* r = Find<Region>(region);
  return r ? r->rgn.get() : nullptr;
}

}  // namespace qd::gdi
