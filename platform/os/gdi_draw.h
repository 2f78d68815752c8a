#pragma once
// Drawing helpers shared by the GDI sources.
#include <vector>

#include "platform/os/gdi_internal.h"

namespace qd::gdi {

// The width in device pixels a pen draws with.
int32_t PenDeviceWidth(const Dc& dc, const Pen& pen);
// Strokes device-space paths with the DC's pen (style, width, ROP2, background for gaps).
void StrokePaths(Dc& dc, Dest& d, const std::vector<std::vector<PointD>>& paths, bool closed);
// Fills an area with the DC's brush, or paints it in the pen's colour, with the DC's ROP2.
void FillShape(Dc& dc, Dest& d, const Rgn& area);
void PenShape(Dc& dc, Dest& d, const Rgn& area);
std::vector<PointD> DevicePoints(const Transform& t, const POINT* pts, size_t n);
// The pen's pixels along paths: `on` in the pen colour, `off` the gaps of styled pens.
void StrokeGeometry(const Dc& dc, const pixman_box32_t& window, const std::vector<std::vector<PointD>>& paths,
                    bool closed, Boxes& on, Boxes& off);
// Path recording: while a path is open, drawing calls add figures instead of drawing.
// `connect` continues the last open figure when it ends where this one starts.
bool PathAdd(Dc& dc, std::vector<PointD> figure, bool closed, bool connect);

}  // namespace qd::gdi
