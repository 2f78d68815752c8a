#pragma once
// Span helpers of the rasteriser (see gdi_internal.h for the shape functions).
#include <vector>

#include "platform/os/gdi_internal.h"

namespace qd::gdi {

// Rows top.. with inclusive spans [xl, xr] (xl > xr: empty row) -> fill and outline boxes.
void SpansToBoxes(int32_t top, const std::vector<int32_t>& xl, const std::vector<int32_t>& xr, Boxes* fill,
                  Boxes* outline);
void EllipseSpans(int32_t l, int32_t t, int32_t r, int32_t b, std::vector<int32_t>& xl,
                  std::vector<int32_t>& xr);
void RoundRectSpans(int32_t l, int32_t t, int32_t r, int32_t b, int32_t cw, int32_t ch,
                    std::vector<int32_t>& xl, std::vector<int32_t>& xr);

}  // namespace qd::gdi
