#pragma once
// The platform's integer geometry records. The same records are the window manager's
// RECT, POINT and SIZE; the library's function families live in ui/core.
#include <algorithm>
#include <cstdint>

namespace qd {

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int32_t cx = 0;
  int32_t cy = 0;
  int32_t Width() const { return cx; }
  int32_t Height() const { return cy; }
  friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  TPoint TopLeft() const { return {Left, Top}; }
  TPoint BottomRight() const { return {Right, Bottom}; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int32_t l, int32_t t, int32_t r, int32_t b) {
  return {l, t, r, b};
}
inline TRect Bounds(int32_t l, int32_t t, int32_t w, int32_t h) {
  return {l, t, l + w, t + h};
}
inline TPoint Point(int32_t x, int32_t y) {
  return {x, y};
}

// The part two rectangles share; the all-zero rectangle where they do not overlap.
inline TRect RectIntersection(const TRect& a, const TRect& b) {
  const TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                std::min(a.Bottom, b.Bottom)};
  return r.IsEmpty() ? TRect{} : r;
}
// The smallest rectangle holding both; an empty rectangle adds nothing.
inline TRect RectUnion(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}
inline TRect RectOffset(const TRect& r, int32_t dx, int32_t dy) {
  return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}
// Each edge moved outwards by its own amount (inwards where negative).
inline TRect RectInflate(const TRect& r, int32_t l, int32_t t, int32_t rr, int32_t b) {
  return {r.Left - l, r.Top - t, r.Right + rr, r.Bottom + b};
}

}  // namespace qd
