#pragma once
// The blit core shared by BitBlt, StretchBlt, MaskBlt and the DIB transfers.
#include "platform/os/gdi_internal.h"

namespace qd::gdi {

struct BlitSource {
  Pixmap pm;
  POINT offset;                       // pixmap = source device + offset
  pixman_box32_t bounds{0, 0, 0, 0};  // source device pixels that exist
  COLORREF bkColor = 0xFFFFFF;        // colour -> monochrome: this colour becomes 1
};

// Blits into `destLogical` (its width/height may be negative to mirror) from the source device
// rectangle (sx, sy, sw, sh) (signed sizes mirror too) with a ternary ROP; `mask` selects the
// background ROP (MAKEROP4) where its bits are 0.
BOOL DoBlit(Dc& dc, const RECT& destLogical, const BlitSource* src, int32_t sx, int32_t sy, int32_t sw,
            int32_t sh, DWORD rop, const Pixmap* mask, int32_t mx, int32_t my);
bool SourceOfDc(Dc& src, BlitSource& out);
// A brush handle, or a system colour index + 1 used as one.
Brush* BrushFromHandle(HBRUSH h);

}  // namespace qd::gdi
