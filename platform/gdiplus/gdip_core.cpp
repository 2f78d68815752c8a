// Start-up, the handle registry, the GDI+ heap, identifiers, matrices and pixel rasterising.
#include <algorithm>
#include <cstdlib>
#include <unordered_map>

#include "platform/gdiplus/gdip_internal.h"

namespace qd::gdiplus {

namespace {

constexpr GUID FormatGuid(uint32_t data1) {
  return GUID{data1, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
}
constexpr GUID CodecGuid(uint32_t data1) {
  return GUID{data1, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
}

}  // namespace

const GUID ImageFormatUndefined = FormatGuid(0xB96B3CA9);
const GUID ImageFormatMemoryBMP = FormatGuid(0xB96B3CAA);
const GUID ImageFormatBMP = FormatGuid(0xB96B3CAB);
const GUID ImageFormatEMF = FormatGuid(0xB96B3CAC);
const GUID ImageFormatWMF = FormatGuid(0xB96B3CAD);
const GUID ImageFormatJPEG = FormatGuid(0xB96B3CAE);
const GUID ImageFormatPNG = FormatGuid(0xB96B3CAF);
const GUID ImageFormatGIF = FormatGuid(0xB96B3CB0);
const GUID ImageFormatTIFF = FormatGuid(0xB96B3CB1);
const GUID ImageFormatEXIF = FormatGuid(0xB96B3CB2);
const GUID ImageFormatIcon = FormatGuid(0xB96B3CB5);
const GUID FrameDimensionTime{0x6AEDBD6D, 0x3FB5, 0x418A, {0x83, 0xA6, 0x7F, 0x45, 0x22, 0x9D, 0xC8, 0x72}};
const GUID FrameDimensionResolution{
    0x84236F7B, 0x3BD3, 0x428F, {0x8D, 0xAB, 0x4E, 0xA1, 0x43, 0x9C, 0xA3, 0x15}};
const GUID FrameDimensionPage{0x7462DC86, 0x6180, 0x4C7E, {0x8E, 0x3F, 0xEE, 0x73, 0x33, 0xA7, 0xA4, 0x83}};
const GUID EncoderCompression{0xE09D739D, 0xCCD4, 0x44EE, {0x8E, 0xBA, 0x3F, 0xBF, 0x8B, 0xE4, 0xFC, 0x58}};
const GUID EncoderColorDepth{0x66087055, 0xAD66, 0x4C7C, {0x9A, 0x18, 0x38, 0xA2, 0x31, 0x0B, 0x83, 0x37}};
const GUID EncoderQuality{0x1D5BE4B5, 0xFA4A, 0x452D, {0x9C, 0xDD, 0x5D, 0xB3, 0x51, 0x05, 0xE7, 0xEB}};
const CLSID CLSID_BmpCodec = CodecGuid(0x557CF400);
const CLSID CLSID_JpegCodec = CodecGuid(0x557CF401);
const CLSID CLSID_GifCodec = CodecGuid(0x557CF402);
const CLSID CLSID_TiffCodec = CodecGuid(0x557CF405);
const CLSID CLSID_PngCodec = CodecGuid(0x557CF406);
const CLSID CLSID_IconCodec = CodecGuid(0x557CF407);
const CLSID CLSID_EmfCodec = CodecGuid(0x557CF403);
const CLSID CLSID_WmfCodec = CodecGuid(0x557CF404);

namespace detail {

namespace {

struct State {
  std::recursive_mutex mutex;
  std::unordered_map<const void*, Object*> objects;
  int startups = 0;
  ULONG_PTR nextToken = 1;
  ULONG_PTR hookToken = 0;
};

State& Global() {
  static State* s = new State;  // lives to the end of the process, also for late deletions
  return *s;
}

}  // namespace

std::recursive_mutex& ApiMutex() {
  return Global().mutex;
}

bool Started() {
  return Global().startups > 0;
}

void Register(const void* handle, Object* object) {
  Global().objects[handle] = object;
}

void Unregister(const void* handle) {
  Global().objects.erase(handle);
}

Object* Lookup(const void* handle) {
  auto& objects = Global().objects;
  auto it = objects.find(handle);
  return it == objects.end() ? nullptr : it->second;
}

void Destroy(const void* handle) {
  Object* o = Lookup(handle);
  if (!o) return;
  Unregister(handle);
  delete o;
}

bool FinitePoints(const GpPointF* p, INT count) {
  for (INT i = 0; i < count; ++i)
    if (!Finite(p[i].X, p[i].Y)) return false;
  return true;
}

std::vector<GpPointF> ToF(const GpPoint* p, INT count) {
  std::vector<GpPointF> v(static_cast<size_t>(std::max(count, 0)));
  for (INT i = 0; i < count; ++i) v[i] = {REAL(p[i].X), REAL(p[i].Y)};
  return v;
}

// ---- Matrices --------------------------------------------------------------------------------

Mx operator*(const Mx& a, const Mx& b) {
  Mx r;
  r.m11 = a.m11 * b.m11 + a.m12 * b.m21;
  r.m12 = a.m11 * b.m12 + a.m12 * b.m22;
  r.m21 = a.m21 * b.m11 + a.m22 * b.m21;
  r.m22 = a.m21 * b.m12 + a.m22 * b.m22;
  r.dx = a.dx * b.m11 + a.dy * b.m21 + b.dx;
  r.dy = a.dx * b.m12 + a.dy * b.m22 + b.dy;
  return r;
}

void Combine(Mx& target, const Mx& m, MatrixOrder order) {
  target = order == MatrixOrderAppend ? target * m : m * target;
}

Mx Mx::Inverse() const {
  double d = Det();
  Mx r;
  r.m11 = m22 / d;
  r.m12 = -m12 / d;
  r.m21 = -m21 / d;
  r.m22 = m11 / d;
  r.dx = (m21 * dy - m22 * dx) / d;
  r.dy = (m12 * dx - m11 * dy) / d;
  return r;
}

Mx Mx::Rotation(double degrees) {
  double a = std::fmod(degrees, 360.0) * M_PI / 180.0;
  double c = std::cos(a), s = std::sin(a);
  // Exact values for the right angles keep axis-aligned transforms axis-aligned.
  double q = std::fmod(degrees, 90.0);
  if (q == 0) {
    c = std::round(c);
    s = std::round(s);
  }
  return {c, s, -s, c, 0, 0};
}

// ---- Pixel rasterising -----------------------------------------------------------------------

namespace {

int32_t PixelEdge(double v) {
  // The first pixel whose centre is at or after v.
  double e = std::ceil(v - 0.5);
  return static_cast<int32_t>(std::clamp(e, -double(kPixLimit), double(kPixLimit)));
}

}  // namespace

PixRgn RasterRect(double l, double t, double r, double b, const pixman_box32_t& window) {
  if (!Finite(l, t, r, b)) return {};
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  int32_t x1 = std::max(PixelEdge(l), window.x1), x2 = std::min(PixelEdge(r), window.x2);
  int32_t y1 = std::max(PixelEdge(t), window.y1), y2 = std::min(PixelEdge(b), window.y2);
  if (x1 >= x2 || y1 >= y2) return {};
  return PixRgn(x1, y1, x2, y2);
}

PixRgn RasterPolygons(const std::vector<std::vector<double>>& polys, bool winding,
                      const pixman_box32_t& window) {
  struct Edge {
    double x0, y0, x1, y1;
    int dir;
  };
  std::vector<Edge> edges;
  double ymin = 1e300, ymax = -1e300;
  for (const auto& p : polys) {
    size_t n = p.size() / 2;
    if (n < 2) continue;
    for (size_t i = 0; i < n; ++i) {
      double ax = p[2 * i], ay = p[2 * i + 1];
      double bx = p[2 * ((i + 1) % n)], by = p[2 * ((i + 1) % n) + 1];
      if (!Finite(ax, ay, bx, by)) return {};
      if (ay == by) continue;
      int dir = 1;
      if (ay > by) {
        std::swap(ax, bx);
        std::swap(ay, by);
        dir = -1;
      }
      edges.push_back({ax, ay, bx, by, dir});
      ymin = std::min(ymin, ay);
      ymax = std::max(ymax, by);
    }
  }
  if (edges.empty()) return {};
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });
  int32_t top = std::max(PixelEdge(ymin), window.y1), bottom = std::min(PixelEdge(ymax), window.y2);
  std::vector<pixman_box32_t> boxes;
  std::vector<std::pair<double, int>> xs;
  std::vector<const Edge*> active;
  size_t next = 0;
  for (int32_t y = top; y < bottom; ++y) {
    double sy = y + 0.5;
    while (next < edges.size() && edges[next].y0 <= sy) active.push_back(&edges[next++]);
    if (active.empty() && next < edges.size()) {
      // Nothing on this row: jump to the next edge's first row.
      int32_t skip = PixelEdge(edges[next].y0);
      if (skip > y + 1) {
        y = std::min(skip, bottom) - 1;
        continue;
      }
    }
    xs.clear();
    size_t keep = 0;
    for (const Edge* e : active) {
      if (sy >= e->y1) continue;  // finished
      active[keep++] = e;
      if (sy < e->y0) continue;
      xs.push_back({e->x0 + (sy - e->y0) * (e->x1 - e->x0) / (e->y1 - e->y0), e->dir});
    }
    active.resize(keep);
    if (xs.size() < 2) continue;
    std::sort(xs.begin(), xs.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    auto emit = [&](double xl, double xr) {
      int32_t x1 = std::max(PixelEdge(xl), window.x1), x2 = std::min(PixelEdge(xr), window.x2);
      if (x1 >= x2) return;
      if (!boxes.empty() && boxes.back().y1 == y && boxes.back().x2 >= x1) {
        boxes.back().x2 = std::max(boxes.back().x2, x2);
        return;
      }
      boxes.push_back({x1, y, x2, y + 1});
    };
    int w = 0;
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
      w += xs[i].second;
      bool inside = winding ? w != 0 : (i % 2) == 0;
      if (inside) emit(xs[i].first, xs[i + 1].first);
    }
  }
  // Boxes of one row are sorted and disjoint after merging; rows follow each other.
  return PixRgn(boxes);
}

}  // namespace detail

// ---- Start-up and memory ---------------------------------------------------------------------

namespace {

Status NotificationHook(ULONG_PTR* token) {
  if (!token) return InvalidParameter;
  QD_GDIP_LOCK();
  if (!detail::Started()) return GdiplusNotInitialized;
  *token = ++detail::Global().hookToken;
  return Ok;
}

void NotificationUnhook(ULONG_PTR) {}

}  // namespace

Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output) {
  if (!token || !input) return InvalidParameter;
  if (input->GdiplusVersion < 1 || input->GdiplusVersion > 3) return UnsupportedGdiplusVersion;
  if (input->SuppressBackgroundThread && !output) return InvalidParameter;
  QD_GDIP_LOCK();
  auto& s = detail::Global();
  ++s.startups;
  *token = s.nextToken++;
  if (output) {
    // Without a background thread the caller runs the notification hook itself.
    output->NotificationHook = input->SuppressBackgroundThread ? &NotificationHook : nullptr;
    output->NotificationUnhook = input->SuppressBackgroundThread ? &NotificationUnhook : nullptr;
  }
  return Ok;
}

void GdiplusShutdown(ULONG_PTR token) {
  QD_GDIP_LOCK();
  auto& s = detail::Global();
  if (token == 0 || token >= s.nextToken || s.startups == 0) return;
  --s.startups;
}

void* GdipAlloc(size_t size) {
  {
    QD_GDIP_LOCK();
    if (!detail::Started()) return nullptr;
  }
  return std::malloc(size ? size : 1);
}

void GdipFree(void* ptr) {
  std::free(ptr);
}

}  // namespace qd::gdiplus
