// The drawing machinery: a cairo context over the graphics' target pixels with the clip
// applied, and the fills, outlines, region fills and image draws built on it.
#include <algorithm>
#include <cstring>

#include "platform/gdiplus/gdip_internal.h"
#include "platform/os/gdi_gdiplus_access.h"

namespace qd::gdiplus {

using namespace detail;

namespace detail {

namespace {

// Where a graphics draws: pixel space is the target's pixels, row 0 at the top.
struct TargetGeometry {
  Mx devToPix;      // GDI+ device coordinates to pixel space
  PixRgn drawable;  // pixels that may be drawn (target bounds, DC clip), pixel space
  int32_t width = 0, height = 0;
  gdi::DcTarget dc;  // for DC targets
  Bitmap* bitmap = nullptr;
};

Status Geometry(Graphics& g, TargetGeometry& t) {
  if (g.hdc) {
    if (!gdi::GetDcTarget(g.hdc, t.dc)) return Win32Error;
    t.width = t.dc.width;
    t.height = t.dc.height;
    t.devToPix = Mx{t.dc.m11, t.dc.m12, t.dc.m21, t.dc.m22, t.dc.dx, t.dc.dy} *
                 Mx::Translation(t.dc.offset.X, t.dc.offset.Y);
    if (t.width > 0) {
      std::vector<pixman_box32_t> boxes;
      for (const RECT& r : t.dc.clip)
        boxes.push_back({r.Left + t.dc.offset.X, r.Top + t.dc.offset.Y, r.Right + t.dc.offset.X,
                         r.Bottom + t.dc.offset.Y});
      t.drawable = PixRgn(boxes);
      t.drawable.Intersect(PixRgn(0, 0, t.width, t.height));
    }
    return Ok;
  }
  t.bitmap = GetBitmap(g.image);
  if (!t.bitmap) return InvalidParameter;
  if (t.bitmap->locked) return WrongState;
  t.width = t.bitmap->width;
  t.height = t.bitmap->height;
  t.drawable = PixRgn(0, 0, t.width, t.height);
  return Ok;
}

void AppendPath(cairo_t* cr, const PathData& path) {
  const size_t n = path.points.size();
  bool open = false;
  for (size_t i = 0; i < n; ++i) {
    const GpPointF& p = path.points[i];
    BYTE type = path.types[i] & PathPointTypePathTypeMask;
    if (type == PathPointTypeStart || !open) {
      cairo_move_to(cr, p.X, p.Y);
      open = true;
    } else if (type == PathPointTypeBezier && i + 2 < n) {
      const GpPointF &b = path.points[i + 1], &c = path.points[i + 2];
      cairo_curve_to(cr, p.X, p.Y, b.X, b.Y, c.X, c.Y);
      i += 2;
    } else {
      cairo_line_to(cr, p.X, p.Y);
    }
    if (path.types[i] & PathPointTypeCloseSubpath) {
      cairo_close_path(cr);
      open = false;
    }
  }
}

bool WithinLimits(const PathData& path, const Mx& toSurface) {
  for (const GpPointF& p : path.points) {
    double x = p.X, y = p.Y;
    toSurface.Apply(x, y);
    if (!(std::fabs(x) <= kMaxDeviceCoord && std::fabs(y) <= kMaxDeviceCoord)) return false;
  }
  return true;
}

cairo_operator_t OperatorFor(const Graphics& g) {
  return g.s.compositing == CompositingModeSourceCopy ? CAIRO_OPERATOR_SOURCE : CAIRO_OPERATOR_OVER;
}

bool Smooth(const Graphics& g) {
  return g.s.smoothing == SmoothingModeAntiAlias || g.s.smoothing == SmoothingModeAntiAlias8x8 ||
         g.s.smoothing == SmoothingModeHighQuality;
}

// Fills pixel boxes (surface coordinates) with the current source.
void FillBoxes(cairo_t* cr, const PixRgn& rgn) {
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_new_path(cr);
  int n = 0;
  const pixman_box32_t* b = rgn.Boxes(&n);
  for (int i = 0; i < n; ++i) cairo_rectangle(cr, b[i].x1, b[i].y1, b[i].x2 - b[i].x1, b[i].y2 - b[i].y1);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_fill(cr);
  cairo_restore(cr);
}

// ---- One-pixel lines -------------------------------------------------------------------------

// Where a segment from (x0, y0) to (x1, y1) lies inside a box grown by a pixel: the
// parameters t0 <= t1 in [0, 1], or false when it misses the box.
bool ClipSegment(double x0, double y0, double x1, double y1, const pixman_box32_t& box, double& t0,
                 double& t1) {
  t0 = 0;
  t1 = 1;
  double dx = x1 - x0, dy = y1 - y0;
  auto cut = [&](double p, double q) {  // keeps the part where p * t <= q
    if (p == 0) return q >= 0;
    double r = q / p;
    if (p < 0) {
      if (r > t1) return false;
      t0 = std::max(t0, r);
    } else {
      if (r < t0) return false;
      t1 = std::min(t1, r);
    }
    return true;
  };
  return cut(-dx, x0 - (box.x1 - 1)) && cut(dx, (box.x2 + 1) - x0) && cut(-dy, y0 - (box.y1 - 1)) &&
         cut(dy, (box.y2 + 1) - y0) && t0 <= t1;
}

// Pixels of a line from (x0, y0) to (x1, y1) in surface space (pixel i spans [i, i + 1)): one
// pixel per column (or row, for steep lines) whose centre the line passes, the start included
// and the end left to the next segment.
void ThinSegment(double x0, double y0, double x1, double y1, const pixman_box32_t& window,
                 std::vector<pixman_box32_t>& out) {
  // Only the part inside the window is walked; the clipped ends stay on the same line, so the
  // pixels chosen inside do not change.
  double t0, t1;
  if (!ClipSegment(x0, y0, x1, y1, window, t0, t1)) return;
  if (t0 > 0 || t1 < 1) {
    double dx = x1 - x0, dy = y1 - y0;
    double nx0 = x0 + dx * t0, ny0 = y0 + dy * t0, nx1 = x0 + dx * t1, ny1 = y0 + dy * t1;
    x0 = nx0, y0 = ny0, x1 = nx1, y1 = ny1;
  }
  auto clampi = [](double v) {
    return static_cast<int32_t>(std::clamp(v, -double(kPixLimit), double(kPixLimit)));
  };
  bool steep = std::fabs(y1 - y0) > std::fabs(x1 - x0);
  // Walk the major axis a; b follows.
  double a0 = steep ? y0 : x0, a1 = steep ? y1 : x1, b0 = steep ? x0 : y0, b1 = steep ? x1 : y1;
  if (a0 == a1) return;
  int32_t first, last;
  if (a1 > a0) {  // centres c with a0 <= c < a1
    first = clampi(std::ceil(a0 - 0.5));
    last = clampi(std::ceil(a1 - 0.5)) - 1;
  } else {  // a1 < c <= a0
    first = clampi(std::floor(a1 - 0.5)) + 1;
    last = clampi(std::floor(a0 - 0.5));
  }
  for (int32_t i = first; i <= last; ++i) {
    int32_t j = clampi(std::floor(b0 + (i + 0.5 - a0) * (b1 - b0) / (a1 - a0)));
    if (steep)
      out.push_back({j, i, j + 1, i + 1});
    else
      out.push_back({i, j, i + 1, j + 1});
  }
}

void ThinPoint(double x, double y, std::vector<pixman_box32_t>& out) {
  auto clampi = [](double v) {
    return static_cast<int32_t>(std::clamp(v, -double(kPixLimit), double(kPixLimit)));
  };
  int32_t i = clampi(std::floor(x)), j = clampi(std::floor(y));
  out.push_back({i, j, i + 1, j + 1});
}

// Splits polylines into dashes; `pattern` and `offset` in the polylines' units. Only dashes
// inside the window are produced; the pattern keeps its phase across what is left out.
void Dash(const std::vector<std::vector<double>>& in, const std::vector<bool>& closed,
          const std::vector<double>& pattern, double offset, const pixman_box32_t& window,
          std::vector<std::vector<double>>& out) {
  double period = 0;
  for (double d : pattern) period += d;
  if (!(period > 0)) return;
  auto wrap = [period](double v) {
    v = std::fmod(v, period);
    return v < 0 ? v + period : v;
  };
  for (size_t f = 0; f < in.size(); ++f) {
    std::vector<double> pts = in[f];
    if (closed[f] && pts.size() >= 4) {
      pts.push_back(pts[0]);
      pts.push_back(pts[1]);
    }
    double phase = wrap(offset);
    std::vector<double> cur;
    auto flush = [&] {
      if (cur.size() >= 4) out.push_back(std::move(cur));
      cur.clear();
    };
    for (size_t i = 2; i + 1 < pts.size(); i += 2) {
      double ax = pts[i - 2], ay = pts[i - 1], bx = pts[i], by = pts[i + 1];
      double len = std::hypot(bx - ax, by - ay);
      double t0, t1;
      if (!(len > 0)) continue;
      if (!ClipSegment(ax, ay, bx, by, window, t0, t1)) {
        flush();
        phase = wrap(phase + len);
        continue;
      }
      if (t0 > 0) {
        flush();
        phase = wrap(phase + len * t0);
      }
      double pos = len * t0, end = len * t1;
      while (pos < end && out.size() < 4000000) {
        // The pattern entry the phase is in.
        size_t k = 0;
        double within = phase;
        while (k + 1 < pattern.size() && within >= pattern[k]) within -= pattern[k++];
        double left = std::max(pattern[k] - within, 1e-9);
        double step = std::min(left, end - pos);
        if ((k % 2) == 0) {
          if (cur.empty()) {
            cur.push_back(ax + (bx - ax) * pos / len);
            cur.push_back(ay + (by - ay) * pos / len);
          }
          cur.push_back(ax + (bx - ax) * (pos + step) / len);
          cur.push_back(ay + (by - ay) * (pos + step) / len);
          if (step >= left) flush();  // the dash ends here
        } else {
          flush();
        }
        pos += step;
        phase = wrap(phase + step);
      }
      if (t1 < 1) {
        flush();
        phase = wrap(phase + len * (1 - t1));
      }
    }
    flush();
  }
}

double PenPixels(const Pen& pen, const Graphics& g, double worldScale) {
  if (pen.unit == UnitWorld) return pen.width * worldScale * pen.transform.Scale();
  return pen.width * UnitToPixels(pen.unit, g.dpiX) * pen.transform.Scale();
}

// Cap shapes for ends that cairo's single cap style cannot give.
void AddCapShape(cairo_t* cr, LineCap cap, double x, double y, double ux, double uy, double hw) {
  // (ux, uy): unit direction pointing out of the line at this end.
  double nx = -uy, ny = ux;
  switch (cap) {
    case LineCapSquare:
      cairo_move_to(cr, x + nx * hw, y + ny * hw);
      cairo_line_to(cr, x + nx * hw + ux * hw, y + ny * hw + uy * hw);
      cairo_line_to(cr, x - nx * hw + ux * hw, y - ny * hw + uy * hw);
      cairo_line_to(cr, x - nx * hw, y - ny * hw);
      cairo_close_path(cr);
      break;
    case LineCapRound:
      cairo_new_sub_path(cr);
      cairo_arc(cr, x, y, hw, 0, 2 * M_PI);
      cairo_close_path(cr);
      break;
    case LineCapTriangle:
      cairo_move_to(cr, x + nx * hw, y + ny * hw);
      cairo_line_to(cr, x + ux * hw, y + uy * hw);
      cairo_line_to(cr, x - nx * hw, y - ny * hw);
      cairo_close_path(cr);
      break;
    case LineCapSquareAnchor: {
      double s = hw * 2;
      cairo_move_to(cr, x + (nx + ux) * s, y + (ny + uy) * s);
      cairo_line_to(cr, x + (nx - ux) * s, y + (ny - uy) * s);
      cairo_line_to(cr, x + (-nx - ux) * s, y + (-ny - uy) * s);
      cairo_line_to(cr, x + (-nx + ux) * s, y + (-ny + uy) * s);
      cairo_close_path(cr);
      break;
    }
    case LineCapRoundAnchor:
      cairo_new_sub_path(cr);
      cairo_arc(cr, x, y, hw * 2, 0, 2 * M_PI);
      cairo_close_path(cr);
      break;
    case LineCapDiamondAnchor: {
      double s = hw * 2;
      cairo_move_to(cr, x + ux * s, y + uy * s);
      cairo_line_to(cr, x + nx * s, y + ny * s);
      cairo_line_to(cr, x - ux * s, y - uy * s);
      cairo_line_to(cr, x - nx * s, y - ny * s);
      cairo_close_path(cr);
      break;
    }
    case LineCapArrowAnchor: {
      double s = hw * 4;
      cairo_move_to(cr, x + ux * hw, y + uy * hw);
      cairo_line_to(cr, x - ux * s + nx * s / 2, y - uy * s + ny * s / 2);
      cairo_line_to(cr, x - ux * s - nx * s / 2, y - uy * s - ny * s / 2);
      cairo_close_path(cr);
      break;
    }
    default:
      break;
  }
}

// End directions of each open figure, in surface space.
// A custom cap at an end: its fill (or, with `strokePass`, its stroke path) in the cap's space,
// and in the fill pass its base cap where the shortened line ends.
void AddCustomCap(cairo_t* cr, const CustomLineCap& cap, bool strokePass, double x, double y, double ux,
                  double uy, double hw) {
  if (!strokePass && cap.baseCap != LineCapFlat) {
    const double inset = cap.baseInset * 2 * hw;
    AddCapShape(cr, cap.baseCap, x - ux * inset, y - uy * inset, ux, uy, hw);
  }
  const PathData& shape = strokePass ? cap.stroke : cap.fill;
  if (!(strokePass ? cap.hasStroke : cap.hasFill) || shape.Empty()) return;
  // Cap space: the y axis runs out of the line, one unit is the pen's width times the scale.
  const double s = 2 * hw * cap.widthScale;
  const Mx toSurface{uy * s, -ux * s, ux * s, uy * s, x, y};
  std::vector<std::vector<double>> xy;
  std::vector<bool> closed;
  Flatten(shape, toSurface, 0.1, xy, closed);
  for (size_t f = 0; f < xy.size(); ++f) {
    const auto& v = xy[f];
    if (v.size() < 4) continue;
    cairo_move_to(cr, v[0], v[1]);
    for (size_t i = 2; i + 1 < v.size(); i += 2) cairo_line_to(cr, v[i], v[i + 1]);
    if (closed[f] || !strokePass) cairo_close_path(cr);
  }
}

// The cap shapes of the open figures' ends; `strokePass` gathers the stroke paths of custom
// caps instead.
void AddCaps(cairo_t* cr, const PathData& path, const Mx& toSurface, const Pen& pen, double hw,
             bool strokePass = false) {
  std::vector<std::vector<double>> xy;
  std::vector<bool> closed;
  Flatten(path, toSurface, 0.25, xy, closed);
  for (size_t f = 0; f < xy.size(); ++f) {
    if (closed[f]) continue;
    const auto& v = xy[f];
    size_t n = v.size() / 2;
    if (n < 2) continue;
    auto dir = [&](size_t from, int step, double& ux, double& uy) {
      // Direction from the first point differing from `from`, walking by `step`.
      for (size_t i = from + step; i < n; i += step) {
        double dx = v[2 * from] - v[2 * i], dy = v[2 * from + 1] - v[2 * i + 1];
        double len = std::hypot(dx, dy);
        if (len > 1e-9) {
          ux = dx / len;
          uy = dy / len;
          return true;
        }
        if (step < 0 && i == 0) break;
      }
      return false;
    };
    auto one = [&](LineCap cap, const std::shared_ptr<CustomLineCap>& custom, double x, double y, double ux,
                   double uy) {
      if (cap == LineCapCustom && custom)
        AddCustomCap(cr, *custom, strokePass, x, y, ux, uy, hw);
      else if (!strokePass)
        AddCapShape(cr, cap, x, y, ux, uy, hw);
    };
    double ux, uy;
    if (dir(0, 1, ux, uy)) one(pen.startCap, pen.customStart, v[0], v[1], ux, uy);
    if (dir(n - 1, -1, ux, uy)) one(pen.endCap, pen.customEnd, v[2 * (n - 1)], v[2 * (n - 1) + 1], ux, uy);
  }
}

// The path with the ends of its open figures moved inwards by the given lengths (custom caps'
// base insets), each along its end segment.
PathData InsetOpenEnds(const PathData& path, double startLen, double endLen) {
  PathData out = path;
  auto& pts = out.points;
  const auto& types = out.types;
  size_t first = 0;
  for (size_t i = 0; i < pts.size(); ++i) {
    const bool last = i + 1 == pts.size() || (types[i + 1] & PathPointTypePathTypeMask) == PathPointTypeStart;
    if (!last) continue;
    if (!(types[i] & PathPointTypeCloseSubpath) && i > first) {
      auto move = [&](size_t at, size_t toward, double len) {
        if (len <= 0) return;
        double dx = double(pts[toward].X) - pts[at].X, dy = double(pts[toward].Y) - pts[at].Y;
        double d = std::hypot(dx, dy);
        if (d < 1e-9) return;
        double t = std::min(len / d, 1.0);
        pts[at].X = REAL(pts[at].X + dx * t);
        pts[at].Y = REAL(pts[at].Y + dy * t);
      };
      move(first, first + 1, startLen);
      move(i, i - 1, endLen);
    }
    first = i + 1;
  }
  return out;
}

double CustomInset(LineCap cap, const std::shared_ptr<CustomLineCap>& custom) {
  return cap == LineCapCustom && custom ? std::max(0.0f, custom->baseInset) : 0.0;
}

bool SimpleCap(LineCap c) {
  return c == LineCapFlat || c == LineCapSquare || c == LineCapRound;
}

cairo_line_cap_t CairoCap(LineCap c) {
  return c == LineCapSquare  ? CAIRO_LINE_CAP_SQUARE
         : c == LineCapRound ? CAIRO_LINE_CAP_ROUND
                             : CAIRO_LINE_CAP_BUTT;
}

}  // namespace

// ---- Canvas ----------------------------------------------------------------------------------

Canvas::~Canvas() {
  Close();
}

bool Canvas::PixelCentresOnIntegers() const {
  PixelOffsetMode m = g_ ? g_->s.pixelOffset : PixelOffsetModeDefault;
  return m != PixelOffsetModeHalf && m != PixelOffsetModeHighQuality;
}

Mx Canvas::UserToSurface() const {
  Mx m = g_->WorldToDevice() * devToPix_;
  if (PixelCentresOnIntegers()) m = m * Mx::Translation(0.5, 0.5);
  return m * pixToSurface_;
}

Status Canvas::Open(Graphics& g) {
  g_ = &g;
  TargetGeometry t;
  Status s = Geometry(g, t);
  if (s != Ok) return s;
  devToPix_ = t.devToPix;
  if (t.width <= 0 || t.height <= 0) return Ok;  // draws nowhere
  PixRgn clip = t.drawable;
  const pixman_box32_t bounds{0, 0, t.width, t.height};
  const RegionPtr gclip = g.EffectiveClip();
  if (!RegionIsInfinite(gclip)) clip.Intersect(RasterRegion(gclip, t.devToPix, bounds));
  if (clip.Empty()) return Ok;
  pixman_box32_t ext = clip.Extents();

  // The surface: the target's own pixels where they are premultiplied 32-bit, else a copy.
  uint8_t* direct = nullptr;
  ptrdiff_t stride = 0;
  if (t.bitmap) {
    if (t.bitmap->format == PixelFormat32bppPARGB) {
      direct = t.bitmap->scan0;
      stride = t.bitmap->stride;
    }
  } else if (t.dc.bgra32) {
    direct = t.dc.top;
    stride = t.dc.stride;
  }
  if (direct && stride != 0) {
    // Bottom-up rows have a negative stride, which cairo and pixman take as it is.
    surface_ = cairo_image_surface_create_for_data(direct, CAIRO_FORMAT_ARGB32, t.width, t.height,
                                                   static_cast<int>(stride));
  } else {
    tx_ = ext.x1;
    ty_ = ext.y1;
    tw_ = ext.x2 - ext.x1;
    th_ = ext.y2 - ext.y1;
    temp_.assign(size_t(tw_) * size_t(th_), 0);
    if (t.bitmap) {
      t.bitmap->ReadPremultiplied(tx_, ty_, tw_, th_, temp_.data(), ptrdiff_t(tw_) * 4);
      bitmap_ = t.bitmap;
      writeback_ = Writeback::Bitmap;
    } else {
      if (!gdi::ReadDcPixels(g.hdc, tx_, ty_, tw_, th_, temp_.data(), ptrdiff_t(tw_) * 4)) return Win32Error;
      dc_ = g.hdc;
      writeback_ = Writeback::Dc;
    }
    original_ = temp_;
    surface_ = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(temp_.data()),
                                                   CAIRO_FORMAT_ARGB32, tw_, th_, tw_ * 4);
    pixToSurface_ = Mx::Translation(-tx_, -ty_);
  }
  if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
    writeback_ = Writeback::None;
    return OutOfMemory;
  }
  cr_ = cairo_create(surface_);
  if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
    writeback_ = Writeback::None;
    return OutOfMemory;
  }
  // The clip, in surface coordinates.
  int n = 0;
  const pixman_box32_t* b = clip.Boxes(&n);
  cairo_new_path(cr_);
  for (int i = 0; i < n; ++i) {
    double x1 = b[i].x1, y1 = b[i].y1, x2 = b[i].x2, y2 = b[i].y2;
    pixToSurface_.Apply(x1, y1);
    pixToSurface_.Apply(x2, y2);
    cairo_rectangle(cr_, std::min(x1, x2), std::min(y1, y2), std::fabs(x2 - x1), std::fabs(y2 - y1));
  }
  cairo_clip(cr_);
  clipPixels_ = clip;
  cairo_matrix_t m = UserToSurface().Cairo();
  cairo_set_matrix(cr_, &m);
  cairo_set_operator(cr_, OperatorFor(g));
  cairo_set_antialias(cr_, Smooth(g) ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
  cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
  empty_ = false;
  return Ok;
}

PixRgn Canvas::ClipInSurface() const {
  PixRgn r = clipPixels_;
  if (pixToSurface_.IsIdentity()) return r;
  int n = 0;
  const pixman_box32_t* b = r.Boxes(&n);
  std::vector<pixman_box32_t> out;
  for (int i = 0; i < n; ++i) {
    double x1 = b[i].x1, y1 = b[i].y1, x2 = b[i].x2, y2 = b[i].y2;
    pixToSurface_.Apply(x1, y1);
    pixToSurface_.Apply(x2, y2);
    out.push_back({int32_t(std::min(x1, x2)), int32_t(std::min(y1, y2)), int32_t(std::max(x1, x2)),
                   int32_t(std::max(y1, y2))});
  }
  return PixRgn(out);
}

void Canvas::Close() {
  if (cr_) cairo_destroy(cr_);
  cr_ = nullptr;
  if (surface_) {
    cairo_surface_flush(surface_);
    cairo_surface_destroy(surface_);
  }
  surface_ = nullptr;
  if (writeback_ == Writeback::None) return;
  // Only pixels that changed go back, so untouched ones keep their exact values.
  for (int32_t y = 0; y < th_; ++y) {
    const uint32_t* row = temp_.data() + size_t(y) * tw_;
    const uint32_t* orig = original_.data() + size_t(y) * tw_;
    int32_t x = 0;
    while (x < tw_) {
      if (row[x] == orig[x]) {
        ++x;
        continue;
      }
      int32_t start = x;
      while (x < tw_ && row[x] != orig[x]) ++x;
      if (writeback_ == Writeback::Bitmap)
        bitmap_->WritePremultiplied(tx_ + start, ty_ + y, x - start, 1, row + start, 0);
      else
        gdi::WriteDcPixels(dc_, tx_ + start, ty_ + y, x - start, 1, row + start, 0);
    }
  }
  writeback_ = Writeback::None;
}

// ---- Operations ------------------------------------------------------------------------------

Status CheckGraphics(Graphics* g) {
  if (!g) return InvalidParameter;
  if (g->busy) return ObjectBusy;
  if (g->image && !GetBitmap(g->image)) return InvalidParameter;
  return Ok;
}

Status VisiblePixels(Graphics& g, PixRgn& out, Mx* deviceToPixels) {
  TargetGeometry t;
  Status s = Geometry(g, t);
  if (s != Ok) return s;
  out = t.drawable;
  const RegionPtr gclip = g.EffectiveClip();
  if (!RegionIsInfinite(gclip)) out.Intersect(RasterRegion(gclip, t.devToPix, {0, 0, t.width, t.height}));
  if (deviceToPixels) *deviceToPixels = t.devToPix;
  return Ok;
}

Status FillPathWith(Graphics& g, const PathData& path, const Brush& brush) {
  Status s = CheckGraphics(&g);
  if (s != Ok) return s;
  Canvas c;
  s = c.Open(g);
  if (s != Ok || c.Empty()) return s;
  if (!WithinLimits(path, c.UserToSurface())) return ValueOverflow;
  cairo_t* cr = c.cr();
  cairo_pattern_t* p = MakePattern(brush, c);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
  AppendPath(cr, path);
  cairo_set_fill_rule(cr,
                      path.fillMode == FillModeWinding ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
  cairo_fill(cr);
  return Ok;
}

Status StrokePathWith(Graphics& g, const PathData& path, const Pen& pen) {
  Status s = CheckGraphics(&g);
  if (s != Ok) return s;
  if (path.points.empty()) return Ok;
  Canvas c;
  s = c.Open(g);
  if (s != Ok || c.Empty()) return s;
  Mx userToSurface = c.UserToSurface();
  if (!WithinLimits(path, userToSurface)) return ValueOverflow;
  cairo_t* cr = c.cr();
  cairo_pattern_t* p = MakePattern(*pen.brush, c);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);

  double devWidth = PenPixels(pen, g, g.WorldToDevice().Scale());
  std::vector<double> pattern = pen.Pattern();
  double unitLen = std::max(devWidth, 1.0);  // dash lengths are multiples of the (drawn) width

  const bool customCaps =
      (pen.startCap == LineCapCustom && pen.customStart) || (pen.endCap == LineCapCustom && pen.customEnd);
  if (!Smooth(g) && devWidth <= 1.0 + 1e-9 && !customCaps) {
    // Aliased hairline: one pixel per step along the major axis.
    std::vector<std::vector<double>> xy, dashed;
    std::vector<bool> closed;
    Flatten(path, userToSurface, 0.25, xy, closed);
    PixRgn clip = c.ClipInSurface();
    const pixman_box32_t window = clip.Extents();
    if (!pattern.empty()) {
      std::vector<double> px;
      for (double d : pattern) px.push_back(d * unitLen);
      Dash(xy, closed, px, pen.dashOffset * unitLen, window, dashed);
      xy = std::move(dashed);
      closed.assign(xy.size(), false);
    }
    std::vector<pixman_box32_t> boxes;
    for (size_t f = 0; f < xy.size(); ++f) {
      const auto& v = xy[f];
      size_t n = v.size() / 2;
      for (size_t i = 0; i + 1 < n; ++i)
        ThinSegment(v[2 * i], v[2 * i + 1], v[2 * i + 2], v[2 * i + 3], window, boxes);
      if (closed[f] && n > 2) {
        ThinSegment(v[2 * (n - 1)], v[2 * (n - 1) + 1], v[0], v[1], window, boxes);
      } else if (n > 0 && pattern.empty()) {
        // Solid open lines include their last point; dashes end where their gap begins.
        ThinPoint(v[2 * (n - 1)], v[2 * (n - 1) + 1], boxes);
      }
    }
    // Each pixel once, so translucent pens do not darken where segments meet.
    PixRgn px = PixRgn(boxes);
    px.Intersect(clip);
    FillBoxes(cr, px);
    return Ok;
  }

  // Wide or smooth lines through cairo's stroker, under a matrix in which the pen's width is
  // its own: world units for UnitWorld pens, device pixels for the others.
  Mx strokeSpace = pen.transform;
  double width = pen.width;
  if (pen.unit == UnitWorld) {
    strokeSpace = pen.transform * userToSurface;
  } else {
    width = pen.width * UnitToPixels(pen.unit, g.dpiX);
  }
  strokeSpace.dx = strokeSpace.dy = 0;
  double scale = strokeSpace.Scale();
  if (!(scale > 0)) return Ok;
  if (width * scale < 1) width = 1 / scale;

  bool closedAll = true;
  for (size_t i = 0; i < path.types.size(); ++i) {
    bool figureEnd =
        i + 1 == path.types.size() || (path.types[i + 1] & PathPointTypePathTypeMask) == PathPointTypeStart;
    if (figureEnd && !(path.types[i] & PathPointTypeCloseSubpath)) closedAll = false;
  }
  bool inset = pen.alignment == PenAlignmentInset && closedAll;

  // Custom caps shorten the line by their base insets (in widths).
  const double startInset = CustomInset(pen.startCap, pen.customStart);
  const double endInset = CustomInset(pen.endCap, pen.customEnd);
  if (pattern.empty() && (startInset > 0 || endInset > 0)) {
    const double perWidth = width * scale / std::max(userToSurface.Scale(), 1e-9);
    AppendPath(cr, InsetOpenEnds(path, startInset * perWidth, endInset * perWidth));
  } else {
    AppendPath(cr, path);
  }
  cairo_matrix_t sm = strokeSpace.Cairo();
  if (inset) {
    cairo_save(cr);
    cairo_set_fill_rule(
        cr, path.fillMode == FillModeWinding ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip_preserve(cr);
  }
  cairo_set_matrix(cr, &sm);
  double w = inset ? width * 2 : width;
  cairo_set_line_width(cr, w);
  switch (pen.join) {
    case LineJoinBevel:
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_BEVEL);
      break;
    case LineJoinRound:
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      break;
    default:
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
      break;
  }
  cairo_set_miter_limit(cr, pen.miterLimit);
  bool manualCaps = false;
  if (!pattern.empty()) {
    std::vector<double> dashes;
    for (double d : pattern) dashes.push_back(d * width);
    cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), pen.dashOffset * width);
    cairo_set_line_cap(cr, pen.dashCap == DashCapRound ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT);
  } else if (pen.startCap == pen.endCap && SimpleCap(pen.startCap)) {
    cairo_set_line_cap(cr, CairoCap(pen.startCap));
  } else {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    manualCaps = true;
  }
  cairo_stroke(cr);
  if (inset) cairo_restore(cr);
  if (manualCaps) {
    cairo_identity_matrix(cr);
    cairo_new_path(cr);
    AddCaps(cr, path, userToSurface, pen, width * scale / 2);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_fill(cr);
    if ((pen.customStart && pen.customStart->hasStroke) || (pen.customEnd && pen.customEnd->hasStroke)) {
      AddCaps(cr, path, userToSurface, pen, width * scale / 2, true);
      cairo_set_dash(cr, nullptr, 0, 0);
      cairo_set_line_width(cr, width * scale);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
      cairo_stroke(cr);
    }
  }
  return Ok;
}

Status FillRegionWith(Graphics& g, const RegionPtr& region, const Brush& brush) {
  Status s = CheckGraphics(&g);
  if (s != Ok) return s;
  Canvas c;
  s = c.Open(g);
  if (s != Ok || c.Empty()) return s;
  cairo_t* cr = c.cr();
  cairo_pattern_t* p = MakePattern(brush, c);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
  // Region pixels are whole pixels in pixel space, whatever the pixel-offset mode.
  PixRgn clip = c.ClipInSurface();
  PixRgn px =
      RasterRegion(region, g.WorldToDevice() * c.DeviceToPixels() * c.PixelsToSurface(), clip.Extents());
  px.Intersect(clip);
  FillBoxes(cr, px);
  return Ok;
}

Status ClearWith(Graphics& g, ARGB color) {
  Status s = CheckGraphics(&g);
  if (s != Ok) return s;
  Canvas c;
  s = c.Open(g);
  if (s != Ok || c.Empty()) return s;
  cairo_t* cr = c.cr();
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_rgba(cr, ((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0,
                        (color & 0xFF) / 255.0, (color >> 24) / 255.0);
  cairo_paint(cr);
  return Ok;
}

Status DrawImageWith(Graphics& g, Bitmap& image, const GpPointF dest[3], double sx, double sy, double sw,
                     double sh, const ImageAttributes* attributes) {
  Status s = CheckGraphics(&g);
  if (s != Ok) return s;
  if (image.locked) return WrongState;
  if (sw == 0 || sh == 0) return Ok;
  // Source to world: the source rectangle's corners go to the three points.
  Mx a;
  a.m11 = (double(dest[1].X) - dest[0].X) / sw;
  a.m12 = (double(dest[1].Y) - dest[0].Y) / sw;
  a.m21 = (double(dest[2].X) - dest[0].X) / sh;
  a.m22 = (double(dest[2].Y) - dest[0].Y) / sh;
  a.dx = dest[0].X - sx * a.m11 - sy * a.m21;
  a.dy = dest[0].Y - sx * a.m12 - sy * a.m22;
  if (!a.Invertible()) return Ok;
  Canvas c;
  s = c.Open(g);
  if (s != Ok || c.Empty()) return s;
  Mx userToSurface = c.UserToSurface();
  PathData shape;
  GpPointF corners[4] = {
      dest[0], dest[1], {dest[1].X + dest[2].X - dest[0].X, dest[1].Y + dest[2].Y - dest[0].Y}, dest[2]};
  shape.AddPolygon(corners, 4);
  if (!WithinLimits(shape, userToSurface)) return ValueOverflow;

  bool tiled = attributes && attributes->wrapSet && attributes->wrap != WrapModeClamp;
  double lx = std::min(sx, sx + sw), hx = std::max(sx, sx + sw), ly = std::min(sy, sy + sh),
         hy = std::max(sy, sy + sh);
  int32_t ex, ey, ex2, ey2;
  if (tiled) {
    ex = static_cast<int32_t>(std::floor(lx + 0.5));
    ey = static_cast<int32_t>(std::floor(ly + 0.5));
    ex2 = static_cast<int32_t>(std::floor(hx + 0.5));
    ey2 = static_cast<int32_t>(std::floor(hy + 0.5));
  } else {
    // Some real pixels around the source part, for the filter to read.
    ex = static_cast<int32_t>(std::floor(std::max(lx, -1e9))) - 2;
    ey = static_cast<int32_t>(std::floor(std::max(ly, -1e9))) - 2;
    ex2 = static_cast<int32_t>(std::ceil(std::min(hx, 1e9))) + 2;
    ey2 = static_cast<int32_t>(std::ceil(std::min(hy, 1e9))) + 2;
  }
  ex = std::max(ex, 0);
  ey = std::max(ey, 0);
  ex2 = std::min(ex2, image.width);
  ey2 = std::min(ey2, image.height);
  if (ex >= ex2 || ey >= ey2) return Ok;  // nothing of the image lies in the source part
  const ColorAdjust* adjust = attributes ? &attributes->For(ColorAdjustTypeBitmap) : nullptr;
  cairo_surface_t* src = SurfaceOf(image, ex, ey, ex2 - ex, ey2 - ey, adjust);
  if (cairo_surface_status(src) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(src);
    return OutOfMemory;
  }
  cairo_pattern_t* p = cairo_pattern_create_for_surface(src);
  cairo_surface_destroy(src);
  if (tiled) {
    cairo_pattern_set_extend(p,
                             attributes->wrap == WrapModeTile ? CAIRO_EXTEND_REPEAT : CAIRO_EXTEND_REFLECT);
  } else {
    cairo_pattern_set_extend(p, CAIRO_EXTEND_NONE);
  }
  // World to pattern: back to source coordinates, then into the extracted block; where pixel
  // centres lie on integers, source pixel centres do too.
  double half = c.PixelCentresOnIntegers() ? 0.5 : 0.0;
  Mx toPattern = a.Inverse() * Mx::Translation(half - ex, half - ey);
  Mx patternToSurface = toPattern.Inverse() * userToSurface;
  auto integral = [](double v) { return std::fabs(v - std::round(v)) < 1e-6; };
  bool exact = std::fabs(patternToSurface.m11 - 1) < 1e-9 && std::fabs(patternToSurface.m22 - 1) < 1e-9 &&
               patternToSurface.IsAxisAligned() && integral(patternToSurface.dx) &&
               integral(patternToSurface.dy);
  cairo_filter_t filter = exact ? CAIRO_FILTER_NEAREST : FilterFor(g.s.interpolation);
  // A sample falling exactly between two source pixels takes the later one.
  if (filter == CAIRO_FILTER_NEAREST && !exact) toPattern = toPattern * Mx::Translation(1.0 / 256, 1.0 / 256);
  cairo_matrix_t pm = toPattern.Cairo();
  cairo_pattern_set_matrix(p, &pm);
  cairo_pattern_set_filter(p, filter);
  cairo_t* cr = c.cr();
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
  AppendPath(cr, shape);
  // Image edges follow the pixel grid unless the image is turned or smoothing is asked for.
  if (userToSurface.IsAxisAligned() && a.IsAxisAligned()) cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_fill(cr);
  return Ok;
}

}  // namespace detail

}  // namespace qd::gdiplus
