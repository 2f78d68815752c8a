#pragma once
// Region helpers shared by the GDI sources.
#include "platform/os/gdi_internal.h"

namespace qd::gdi {

HRGN NewRegion(Rgn rgn);
// A region in logical coordinates mapped to device coordinates.
Rgn ToDeviceRgn(const Transform& t, const Rgn& logical);
// A logical rectangle of a DC as device region (rotated transforms give a polygon).
Rgn LogicalRectToDevice(const Dc& dc, const RECT& r);

}  // namespace qd::gdi
