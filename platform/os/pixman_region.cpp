#include "platform/os/pixman_region.h"

#include "platform/os/gdi.h"

namespace qd::os {

PixmanRegion::PixmanRegion(const pixman_box32_t& b) {
  if (b.x1 < b.x2 && b.y1 < b.y2)
    pixman_region32_init_rect(&r_, b.x1, b.y1, static_cast<uint32_t>(int64_t{b.x2} - b.x1),
                              static_cast<uint32_t>(int64_t{b.y2} - b.y1));
  else
    pixman_region32_init(&r_);
}

PixmanRegion::PixmanRegion(const pixman_box32_t* boxes, int count) {
  if (count > 0)
    pixman_region32_init_rects(&r_, boxes, count);
  else
    pixman_region32_init(&r_);
}

PixmanRegion::PixmanRegion(const PixmanRegion& o) {
  pixman_region32_init(&r_);
  pixman_region32_copy(&r_, o.raw());
}

PixmanRegion& PixmanRegion::operator=(const PixmanRegion& o) {
  if (this != &o) pixman_region32_copy(&r_, o.raw());
  return *this;
}

std::vector<RECT> PixmanRegion::Rects() const {
  int n = 0;
  const pixman_box32_t* boxes = Boxes(&n);
  std::vector<RECT> out;
  out.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) out.push_back({boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2});
  return out;
}

RECT PixmanRegion::Bounds() const {
  if (Empty()) return {};
  const pixman_box32_t e = Extents();
  return {e.x1, e.y1, e.x2, e.y2};
}

int PixmanRegion::Complexity() const {
  const int n = Count();
  return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

void PixmanRegion::Translate(int32_t dx, int32_t dy) {
  if (dx || dy) pixman_region32_translate(&r_, dx, dy);
}

}  // namespace qd::os
