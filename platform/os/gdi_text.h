#pragma once
// Text output shared by ExtTextOut, DrawText and TabbedTextOut.
#include <vector>

#include "platform/os/gdi_font.h"
#include "platform/os/gdi_internal.h"
#include "platform/os/gdi_shape.h"

namespace qd::gdi {

// Advance of every UTF-16 unit (the second unit of a pair gets 0), with the DC's character
// extra and text justification. Complex text is shaped (rtl: read right to left); `shaped`
// receives the shaping when it was needed and is left empty for simple text.
std::vector<int32_t> TextAdvances(const Dc& dc, FontFace& face, const char16_t* s, size_t n, bool rtl = false,
                                  ShapedText* shaped = nullptr);
// Draws text at a logical reference point as ExtTextOut does.
BOOL TextOutCore(Dc& dc, int x, int y, UINT options, const RECT* rect, const char16_t* s, size_t n,
                 const INT* dx, UINT align);

}  // namespace qd::gdi
