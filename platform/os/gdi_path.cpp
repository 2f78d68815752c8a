// Paths: drawing calls between BeginPath and EndPath record figures (in device coordinates),
// which can then be filled, stroked, widened, turned into a region or selected as clip region.
#include <algorithm>

#include "platform/os/gdi_draw.h"
#include "platform/os/gdi_internal.h"
#include "platform/os/gdi_metafile.h"
#include "platform/os/gdi_region.h"

namespace qd::gdi {

bool PathAdd(Dc& dc, std::vector<PointD> figure, bool closed, bool connect) {
  auto& p = dc.path;
  if (!p.open || figure.empty()) return false;
  if (connect && !p.figures.empty() && !p.closed.back()) {
    auto& last = p.figures.back();
    if (!last.empty() && last.back().x == figure.front().x && last.back().y == figure.front().y) {
      last.insert(last.end(), figure.begin() + 1, figure.end());
      if (closed) p.closed.back() = 1;
      return true;
    }
  }
  p.figures.push_back(std::move(figure));
  p.closed.push_back(closed ? 1 : 0);
  return true;
}

namespace {

// The area a finished path encloses (or, once widened, its outline's area).
Rgn PathArea(const Dc& dc, const pixman_box32_t* window) {
  const auto& p = dc.path;
  Boxes boxes;
  if (p.widen > 0) {
    Boxes off;
    for (size_t i = 0; i < p.figures.size(); ++i)
      StrokeGeometry(dc,
                     window ? *window : pixman_box32_t{-kCoordLimit, -kCoordLimit, kCoordLimit, kCoordLimit},
                     {p.figures[i]}, p.closed[i] != 0, boxes, off);
  } else {
    RasterPolygon(p.figures, dc.s.polyFillMode == WINDING, boxes, window);
  }
  return Rgn(boxes.data(), static_cast<int>(boxes.size()));
}

void Discard(Dc& dc) {
  dc.path = {};
}

template <DWORD RecordOf, class F>
BOOL WithPath(HDC h, F&& f) {
  Dc* dc = FindDc(h);
  if (!dc || !dc->path.done) return FALSE;
  if (dc->meta) MetaRecord(*dc, RecordOf, {});
  return f(*dc);
}

}  // namespace

}  // namespace qd::gdi

namespace qd {
using namespace gdi;

BOOL BeginPath(HDC h) {
  Dc* dc = FindDc(h);
  if (!dc) return FALSE;
  if (dc->meta) MetaRecord(*dc, EMR_BEGINPATH, {});
  dc->path = {};
  dc->path.open = true;
  return TRUE;
}

BOOL EndPath(HDC h) {
  Dc* dc = FindDc(h);
  if (!dc || !dc->path.open) return FALSE;
  if (dc->meta) MetaRecord(*dc, EMR_ENDPATH, {});
  dc->path.open = false;
  dc->path.done = true;
  return TRUE;
}

BOOL AbortPath(HDC h) {
  Dc* dc = FindDc(h);
  if (!dc) return FALSE;
  if (dc->meta) MetaRecord(*dc, EMR_ABORTPATH, {});
  Discard(*dc);
  return TRUE;
}

BOOL CloseFigure(HDC h) {
  Dc* dc = FindDc(h);
  if (!dc || !dc->path.open || dc->path.figures.empty()) return FALSE;
  if (dc->meta) MetaRecord(*dc, EMR_CLOSEFIGURE, {});
  dc->path.closed.back() = 1;
  return TRUE;
}

BOOL FlattenPath(HDC h) {
  // Curves are recorded as points already.
  return WithPath<EMR_FLATTENPATH>(h, [](Dc&) { return TRUE; });
}

BOOL WidenPath(HDC h) {
  return WithPath<EMR_WIDENPATH>(h, [](Dc& dc) {
    Pen* pen = CurrentPen(dc);
    if (!pen || pen->Style() == PS_NULL) return FALSE;
    dc.path.widen = PenDeviceWidth(dc, *pen);
    return TRUE;
  });
}

HRGN PathToRegion(HDC h) {
  Dc* dc = FindDc(h);
  if (!dc || !dc->path.done) return nullptr;
  Rgn r = PathArea(*dc, nullptr);
  Discard(*dc);
  return NewRegion(std::move(r));
}

BOOL FillPath(HDC h) {
  return WithPath<EMR_FILLPATH>(h, [](Dc& dc) {
    Dest d;
    if (PrepareDest(dc, d)) FillShape(dc, d, PathArea(dc, &d.clipBox));
    Discard(dc);
    return TRUE;
  });
}

BOOL StrokePath(HDC h) {
  return WithPath<EMR_STROKEPATH>(h, [](Dc& dc) {
    Dest d;
    if (PrepareDest(dc, d))
      for (size_t i = 0; i < dc.path.figures.size(); ++i)
        StrokePaths(dc, d, {dc.path.figures[i]}, dc.path.closed[i] != 0);
    Discard(dc);
    return TRUE;
  });
}

BOOL StrokeAndFillPath(HDC h) {
  return WithPath<EMR_STROKEANDFILLPATH>(h, [](Dc& dc) {
    Dest d;
    if (PrepareDest(dc, d)) {
      FillShape(dc, d, PathArea(dc, &d.clipBox));
      for (size_t i = 0; i < dc.path.figures.size(); ++i) StrokePaths(dc, d, {dc.path.figures[i]}, true);
    }
    Discard(dc);
    return TRUE;
  });
}

BOOL SelectClipPath(HDC h, int mode) {
  Dc* dc = FindDc(h);
  if (!dc || !dc->path.done) return FALSE;
  if (dc->meta) MetaRecord(*dc, EMR_SELECTCLIPPATH, {mode});
  MetaPause pause(*dc);
  HRGN r = PathToRegion(h);
  int result = ExtSelectClipRgn(h, r, mode);
  DeleteObject(r);
  return result != ERROR;
}

}  // namespace qd
