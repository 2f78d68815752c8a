#pragma once
// An owning pixman region with value semantics: the one region type of the window manager,
// GDI and GDI+. A box, like a RECT, excludes its right and bottom edges; a box that is empty
// or inverted adds nothing.
#include <pixman.h>

#include <cstdint>
#include <vector>

#include "platform/os/wintypes.h"

namespace qd::os {

class PixmanRegion {
 public:
  PixmanRegion() { pixman_region32_init(&r_); }
  explicit PixmanRegion(const pixman_box32_t& box);
  PixmanRegion(int32_t l, int32_t t, int32_t r, int32_t b) : PixmanRegion(pixman_box32_t{l, t, r, b}) {}
  explicit PixmanRegion(const RECT& rc) : PixmanRegion(rc.Left, rc.Top, rc.Right, rc.Bottom) {}
  // The union of possibly overlapping boxes.
  PixmanRegion(const pixman_box32_t* boxes, int count);
  explicit PixmanRegion(const std::vector<pixman_box32_t>& boxes)
      : PixmanRegion(boxes.data(), static_cast<int>(boxes.size())) {}
  PixmanRegion(const PixmanRegion& o);
  PixmanRegion& operator=(const PixmanRegion& o);
  ~PixmanRegion() { pixman_region32_fini(&r_); }

  pixman_region32_t* get() { return &r_; }
  const pixman_region32_t* get() const { return &r_; }

  bool Empty() const { return !pixman_region32_not_empty(raw()); }
  int Count() const { return pixman_region32_n_rects(raw()); }
  const pixman_box32_t* Boxes(int* n) const { return pixman_region32_rectangles(raw(), n); }
  std::vector<RECT> Rects() const;
  pixman_box32_t Extents() const { return *pixman_region32_extents(raw()); }
  // The bounding rectangle; all zero when empty.
  RECT Bounds() const;
  // NULLREGION, SIMPLEREGION or COMPLEXREGION.
  int Complexity() const;
  bool Contains(int32_t x, int32_t y) const { return pixman_region32_contains_point(raw(), x, y, nullptr); }
  bool Contains(POINT p) const { return Contains(p.X, p.Y); }
  bool operator==(const PixmanRegion& o) const { return pixman_region32_equal(raw(), o.raw()); }

  void Translate(int32_t dx, int32_t dy);
  void Intersect(const PixmanRegion& o) { pixman_region32_intersect(&r_, &r_, o.raw()); }
  void Intersect(const RECT& rc) { Intersect(PixmanRegion(rc)); }
  void Union(const PixmanRegion& o) { pixman_region32_union(&r_, &r_, o.raw()); }
  void Union(const RECT& rc) { Union(PixmanRegion(rc)); }
  void Subtract(const PixmanRegion& o) { pixman_region32_subtract(&r_, &r_, o.raw()); }
  void Subtract(const RECT& rc) { Subtract(PixmanRegion(rc)); }
  void Clear() { pixman_region32_clear(&r_); }

 private:
  // pixman's queries take non-const pointers but do not write.
  pixman_region32_t* raw() const { return const_cast<pixman_region32_t*>(&r_); }

  pixman_region32_t r_;
};

}  // namespace qd::os
