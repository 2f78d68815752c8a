// Graphics objects: creation over a DC, a window or an image, rendering settings, world and page
// transforms, saved states, clipping, visibility, and GDI access to the pixels.
#include <algorithm>
#include <cstring>

#include "platform/gdiplus/gdip_internal.h"
#include "platform/os/gdi_surface.h"
#include "platform/os/user.h"

namespace qd::gdiplus {

using namespace detail;

namespace detail {

double UnitToPixels(Unit unit, double dpi) {
  switch (unit) {
    case UnitPoint:
      return dpi / 72.0;
    case UnitInch:
      return dpi;
    case UnitDocument:
      return dpi / 300.0;
    case UnitMillimeter:
      return dpi / 25.4;
    default:
      return 1.0;
  }
}

Mx Graphics::PageTransform() const {
  return Mx::Scaling(s.pageScale * UnitToPixels(s.pageUnit, dpiX),
                     s.pageScale * UnitToPixels(s.pageUnit, dpiY));
}

Mx Graphics::WorldToDevice() const {
  return s.world * PageTransform() * containerBase;
}

RegionPtr Graphics::EffectiveClip() const {
  if (RegionIsInfinite(containerClip)) return s.clip;
  if (RegionIsInfinite(s.clip)) return containerClip;
  return CombineRegions(containerClip, s.clip, CombineModeIntersect);
}

Graphics::~Graphics() {
  if (imageDc) {
    SelectObject(imageDc, imageOld);
    DeleteObject(imageDib);
    DeleteDC(imageDc);
  }
  if (hwnd && hdc) ReleaseDC(hwnd, hdc);
}

}  // namespace detail

namespace {

Status NewGraphics(std::unique_ptr<Graphics> g, GpGraphics** out) {
  g->s.clip = MakeRegion(RegionNode::Infinite);
  *out = Adopt(std::move(g));
  return Ok;
}

Status FromDc(HDC hdc, HWND hwnd, GpGraphics** graphics) {
  if (!graphics) return InvalidParameter;
  DWORD type = hdc ? GetObjectType(hdc) : 0;
  if (type != OBJ_DC && type != OBJ_MEMDC) return OutOfMemory;
  auto g = std::make_unique<Graphics>();
  g->hdc = hdc;
  g->hwnd = hwnd;
  g->dpiX = GetDeviceCaps(hdc, LOGPIXELSX);
  g->dpiY = GetDeviceCaps(hdc, LOGPIXELSY);
  if (g->dpiX <= 0) g->dpiX = 96;
  if (g->dpiY <= 0) g->dpiY = 96;
  return NewGraphics(std::move(g), graphics);
}

Graphics* GetGraphics(const GpGraphics* h) {
  return Get<Graphics>(h);
}

// A graphics that may be changed or read: valid and not lent to GDI.
Graphics* Usable(const GpGraphics* h, Status& s) {
  Graphics* g = GetGraphics(h);
  s = !g ? InvalidParameter : g->busy ? ObjectBusy : Ok;
  return s == Ok ? g : nullptr;
}

bool ValidOrder(MatrixOrder o) {
  return o == MatrixOrderPrepend || o == MatrixOrderAppend;
}

void CombineClip(Graphics& g, const RegionPtr& deviceRegion, CombineMode mode) {
  g.s.clip = CombineRegions(g.s.clip, deviceRegion, mode);
}

// The device-space clip seen in world coordinates.
RegionPtr ClipInWorld(const Graphics& g) {
  Mx m = g.WorldToDevice();
  if (RegionIsInfinite(g.s.clip) || !m.Invertible()) return g.s.clip;
  return TransformRegion(g.s.clip, m.Inverse());
}

Mx SpaceToDevice(const Graphics& g, CoordinateSpace space) {
  switch (space) {
    case CoordinateSpaceWorld:
      return g.WorldToDevice();
    case CoordinateSpacePage:
      return g.PageTransform();
    default:
      return Mx{};
  }
}

}  // namespace

Status GdipCreateFromHDC(HDC hdc, GpGraphics** graphics) {
  QD_GDIP_ENTER();
  return FromDc(hdc, nullptr, graphics);
}

Status GdipCreateFromHDC2(HDC hdc, HANDLE, GpGraphics** graphics) {
  QD_GDIP_ENTER();
  return FromDc(hdc, nullptr, graphics);
}

Status GdipCreateFromHWND(HWND hwnd, GpGraphics** graphics) {
  QD_GDIP_ENTER();
  if (!graphics) return InvalidParameter;
  HDC dc = GetDC(hwnd);
  if (!dc) return OutOfMemory;
  Status s = FromDc(dc, hwnd, graphics);
  if (s != Ok) ReleaseDC(hwnd, dc);
  return s;
}

Status GdipCreateFromHWNDICM(HWND hwnd, GpGraphics** graphics) {
  return GdipCreateFromHWND(hwnd, graphics);
}

Status GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(image);
  if (!b || !graphics || IsMetafile(b)) return InvalidParameter;
  if (b->locked) return WrongState;
  auto g = std::make_unique<Graphics>();
  g->image = image;
  g->dpiX = b->dpiX;
  g->dpiY = b->dpiY;
  return NewGraphics(std::move(g), graphics);
}

Status GdipDeleteGraphics(GpGraphics* graphics) {
  QD_GDIP_LOCK();
  Graphics* g = GetGraphics(graphics);
  if (!g) return InvalidParameter;
  if (g->busy) return ObjectBusy;
  Destroy(graphics);
  return Ok;
}

Status GdipGetDC(GpGraphics* graphics, HDC* hdc) {
  QD_GDIP_ENTER();
  Status s;
  Graphics* g = Usable(graphics, s);
  if (!g) return s;
  if (!hdc) return InvalidParameter;
  if (g->hdc) {
    g->busy = true;
    *hdc = g->hdc;
    return Ok;
  }
  Bitmap* b = GetBitmap(g->image);
  if (!b) return InvalidParameter;
  if (b->locked) return WrongState;
  // GDI draws on a 32-bit copy that goes back on release. Fully transparent pixels are lent
  // with alpha 1: GDI writes alpha 0, which marks what it drew even where it drew black.
  BITMAPINFO bi;
  bi.bmiHeader.biWidth = b->width;
  bi.bmiHeader.biHeight = -b->height;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib || !bits) return OutOfMemory;
  HDC dc = CreateCompatibleDC(nullptr);
  auto* px = static_cast<uint32_t*>(bits);
  b->ReadPremultiplied(0, 0, b->width, b->height, px, ptrdiff_t(b->width) * 4);
  size_t n = size_t(b->width) * size_t(b->height);
  for (size_t i = 0; i < n; ++i)
    if ((px[i] >> 24) == 0) px[i] = 0x01000000u;
  g->imageSnapshot.assign(px, px + n);
  g->imageDib = dib;
  g->imageDc = dc;
  g->imageOld = SelectObject(dc, dib);
  g->busy = true;
  *hdc = dc;
  return Ok;
}

Status GdipReleaseDC(GpGraphics* graphics, HDC hdc) {
  QD_GDIP_ENTER();
  Graphics* g = GetGraphics(graphics);
  if (!g || !g->busy || !hdc) return InvalidParameter;
  if (g->hdc) {
    if (hdc != g->hdc) return InvalidParameter;
    g->busy = false;
    return Ok;
  }
  if (hdc != g->imageDc) return InvalidParameter;
  Bitmap* b = GetBitmap(g->image);
  DIBSECTION ds;
  if (b && GetObjectW(g->imageDib, sizeof ds, &ds) && ds.dsBm.bmBits && ds.dsBm.bmWidth == b->width &&
      std::abs(ds.dsBm.bmHeight) == b->height) {
    const auto* px = static_cast<const uint32_t*>(ds.dsBm.bmBits);
    for (int32_t y = 0; y < b->height; ++y)
      for (int32_t x = 0; x < b->width; ++x) {
        size_t i = size_t(y) * size_t(b->width) + size_t(x);
        uint32_t v = px[i];
        if (v == g->imageSnapshot[i]) continue;
        uint32_t a = v >> 24;
        if (a == 0) {
          v |= 0xFF000000u;  // drawn by GDI: opaque
        } else {
          uint32_t r = std::min((v >> 16) & 0xFF, a), gr = std::min((v >> 8) & 0xFF, a),
                   bl = std::min(v & 0xFF, a);
          v = (a << 24) | (r << 16) | (gr << 8) | bl;
        }
        b->WritePremultiplied(x, y, 1, 1, &v, 4);
      }
  }
  SelectObject(g->imageDc, g->imageOld);
  DeleteObject(g->imageDib);
  DeleteDC(g->imageDc);
  g->imageDc = nullptr;
  g->imageDib = nullptr;
  g->imageOld = nullptr;
  g->imageSnapshot.clear();
  g->busy = false;
  return Ok;
}

Status GdipFlush(GpGraphics* graphics, FlushIntention) {
  QD_GDIP_ENTER();
  Status s;
  return Usable(graphics, s) ? Ok : s;
}

Status GdipGraphicsClear(GpGraphics* graphics, ARGB color) {
  QD_GDIP_ENTER();
  Graphics* g = GetGraphics(graphics);
  if (!g) return InvalidParameter;
  return ClearWith(*g, color);
}

#define QD_GDIP_GRAPHICS(name)            \
  Status st_;                             \
  Graphics* name = Usable(graphics, st_); \
  if (!name) return st_

Status GdipSetSmoothingMode(GpGraphics* graphics, SmoothingMode mode) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  switch (mode) {
    case SmoothingModeDefault:
    case SmoothingModeHighSpeed:
    case SmoothingModeNone:
      g->s.smoothing = SmoothingModeNone;
      return Ok;
    case SmoothingModeHighQuality:
    case SmoothingModeAntiAlias:
      g->s.smoothing = SmoothingModeAntiAlias;
      return Ok;
    case SmoothingModeAntiAlias8x8:
      g->s.smoothing = SmoothingModeAntiAlias8x8;
      return Ok;
    default:
      return InvalidParameter;
  }
}

Status GdipGetSmoothingMode(GpGraphics* graphics, SmoothingMode* mode) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!mode) return InvalidParameter;
  *mode = g->s.smoothing;
  return Ok;
}

Status GdipSetInterpolationMode(GpGraphics* graphics, InterpolationMode mode) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (mode < InterpolationModeDefault || mode > InterpolationModeHighQualityBicubic) return InvalidParameter;
  if (mode == InterpolationModeDefault || mode == InterpolationModeLowQuality)
    mode = InterpolationModeBilinear;
  if (mode == InterpolationModeHighQuality) mode = InterpolationModeHighQualityBicubic;
  g->s.interpolation = mode;
  return Ok;
}

Status GdipGetInterpolationMode(GpGraphics* graphics, InterpolationMode* mode) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!mode) return InvalidParameter;
  *mode = g->s.interpolation;
  return Ok;
}

Status GdipSetPixelOffsetMode(GpGraphics* graphics, PixelOffsetMode mode) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (mode < PixelOffsetModeDefault || mode > PixelOffsetModeHalf) return InvalidParameter;
  g->s.pixelOffset = mode;
  return Ok;
}

Status GdipGetPixelOffsetMode(GpGraphics* graphics, PixelOffsetMode* mode) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!mode) return InvalidParameter;
  *mode = g->s.pixelOffset;
  return Ok;
}

Status GdipSetCompositingMode(GpGraphics* graphics, CompositingMode mode) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (mode != CompositingModeSourceOver && mode != CompositingModeSourceCopy) return InvalidParameter;
  g->s.compositing = mode;
  return Ok;
}

Status GdipGetCompositingMode(GpGraphics* graphics, CompositingMode* mode) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!mode) return InvalidParameter;
  *mode = g->s.compositing;
  return Ok;
}

Status GdipSetCompositingQuality(GpGraphics* graphics, CompositingQuality quality) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (quality < CompositingQualityDefault || quality > CompositingQualityAssumeLinear)
    return InvalidParameter;
  g->s.compositingQuality = quality;
  return Ok;
}

Status GdipGetCompositingQuality(GpGraphics* graphics, CompositingQuality* quality) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!quality) return InvalidParameter;
  *quality = g->s.compositingQuality;
  return Ok;
}

Status GdipSetTextRenderingHint(GpGraphics* graphics, TextRenderingHint hint) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (hint < TextRenderingHintSystemDefault || hint > TextRenderingHintClearTypeGridFit)
    return InvalidParameter;
  g->s.textHint = hint;
  return Ok;
}

Status GdipGetTextRenderingHint(GpGraphics* graphics, TextRenderingHint* hint) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!hint) return InvalidParameter;
  *hint = g->s.textHint;
  return Ok;
}

Status GdipSetTextContrast(GpGraphics* graphics, UINT contrast) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (contrast > 12) return InvalidParameter;
  g->s.textContrast = contrast;
  return Ok;
}

Status GdipGetTextContrast(GpGraphics* graphics, UINT* contrast) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!contrast) return InvalidParameter;
  *contrast = g->s.textContrast;
  return Ok;
}

Status GdipSetRenderingOrigin(GpGraphics* graphics, INT x, INT y) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  g->s.originX = x;
  g->s.originY = y;
  return Ok;
}

Status GdipGetRenderingOrigin(GpGraphics* graphics, INT* x, INT* y) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!x || !y) return InvalidParameter;
  *x = g->s.originX;
  *y = g->s.originY;
  return Ok;
}

Status GdipSetPageUnit(GpGraphics* graphics, GpUnit unit) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (unit < UnitDisplay || unit > UnitMillimeter) return InvalidParameter;
  g->s.pageUnit = unit;
  return Ok;
}

Status GdipGetPageUnit(GpGraphics* graphics, GpUnit* unit) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!unit) return InvalidParameter;
  *unit = g->s.pageUnit;
  return Ok;
}

Status GdipSetPageScale(GpGraphics* graphics, REAL scale) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!Finite(scale) || scale <= 0 || scale > 1e9) return InvalidParameter;
  g->s.pageScale = scale;
  return Ok;
}

Status GdipGetPageScale(GpGraphics* graphics, REAL* scale) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!scale) return InvalidParameter;
  *scale = g->s.pageScale;
  return Ok;
}

Status GdipGetDpiX(GpGraphics* graphics, REAL* dpi) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!dpi) return InvalidParameter;
  *dpi = REAL(g->dpiX);
  return Ok;
}

Status GdipGetDpiY(GpGraphics* graphics, REAL* dpi) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!dpi) return InvalidParameter;
  *dpi = REAL(g->dpiY);
  return Ok;
}

Status GdipSetWorldTransform(GpGraphics* graphics, GpMatrix* matrix) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  auto* m = Get<Matrix>(matrix);
  if (!m || !m->m.Invertible()) return InvalidParameter;
  g->s.world = m->m;
  return Ok;
}

Status GdipResetWorldTransform(GpGraphics* graphics) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  g->s.world = Mx{};
  return Ok;
}

Status GdipMultiplyWorldTransform(GpGraphics* graphics, const GpMatrix* matrix, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  auto* m = Get<Matrix>(matrix);
  if (!m || !ValidOrder(order)) return InvalidParameter;
  Mx w = g->s.world;
  Combine(w, m->m, order);
  if (!w.Invertible()) return InvalidParameter;
  g->s.world = w;
  return Ok;
}

Status GdipTranslateWorldTransform(GpGraphics* graphics, REAL dx, REAL dy, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!Finite(dx, dy) || !ValidOrder(order)) return InvalidParameter;
  Combine(g->s.world, Mx::Translation(dx, dy), order);
  return Ok;
}

Status GdipScaleWorldTransform(GpGraphics* graphics, REAL sx, REAL sy, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!Finite(sx, sy) || sx == 0 || sy == 0 || !ValidOrder(order)) return InvalidParameter;
  Combine(g->s.world, Mx::Scaling(sx, sy), order);
  return Ok;
}

Status GdipRotateWorldTransform(GpGraphics* graphics, REAL angle, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!Finite(angle) || !ValidOrder(order)) return InvalidParameter;
  Combine(g->s.world, Mx::Rotation(angle), order);
  return Ok;
}

Status GdipGetWorldTransform(GpGraphics* graphics, GpMatrix* matrix) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  auto* m = Get<Matrix>(matrix);
  if (!m) return InvalidParameter;
  m->m = g->s.world;
  return Ok;
}

Status GdipTransformPoints(GpGraphics* graphics, GpCoordinateSpace destSpace, GpCoordinateSpace srcSpace,
                           GpPointF* points, INT count) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!points || count <= 0 || destSpace < CoordinateSpaceWorld || destSpace > CoordinateSpaceDevice ||
      srcSpace < CoordinateSpaceWorld || srcSpace > CoordinateSpaceDevice)
    return InvalidParameter;
  Mx toDevice = SpaceToDevice(*g, srcSpace), fromDevice = SpaceToDevice(*g, destSpace);
  if (!fromDevice.Invertible()) return InvalidParameter;
  Mx m = toDevice * fromDevice.Inverse();
  for (INT i = 0; i < count; ++i) {
    double x = points[i].X, y = points[i].Y;
    m.Apply(x, y);
    points[i] = {REAL(x), REAL(y)};
  }
  return Ok;
}

Status GdipTransformPointsI(GpGraphics* graphics, GpCoordinateSpace destSpace, GpCoordinateSpace srcSpace,
                            GpPoint* points, INT count) {
  if (!points || count <= 0) return InvalidParameter;
  std::vector<GpPointF> f(static_cast<size_t>(count));
  for (INT i = 0; i < count; ++i) f[i] = {REAL(points[i].X), REAL(points[i].Y)};
  Status s = GdipTransformPoints(graphics, destSpace, srcSpace, f.data(), count);
  if (s != Ok) return s;
  for (INT i = 0; i < count; ++i) {
    if (!Finite(f[i].X, f[i].Y) || std::fabs(f[i].X) > 2e9 || std::fabs(f[i].Y) > 2e9) return ValueOverflow;
    points[i] = {static_cast<INT>(std::lround(f[i].X)), static_cast<INT>(std::lround(f[i].Y))};
  }
  return Ok;
}

Status GdipSaveGraphics(GpGraphics* graphics, GraphicsState* state) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!state) return InvalidParameter;
  *state = g->nextState++;
  g->saved.push_back({*state, g->s, g->containerBase, g->containerClip});
  return Ok;
}

namespace {

// Brings back a saved state (a save or a container's beginning) and drops it and every later one.
void GraphicsRestoreTo(Graphics& g, GraphicsState state) {
  auto it = std::find_if(g.saved.begin(), g.saved.end(), [state](const auto& e) { return e.id == state; });
  if (it == g.saved.end()) return;  // already restored, or never saved
  g.s = it->s;
  g.containerBase = it->containerBase;
  g.containerClip = it->containerClip;
  g.saved.erase(it, g.saved.end());
}

// Opens a container whose world space maps onto `inner` of the current world space.
Status GraphicsBeginContainer(Graphics& g, const Mx& inner, GraphicsContainer* state) {
  if (!state) return InvalidParameter;
  *state = g.nextState++;
  g.saved.push_back({*state, g.s, g.containerBase, g.containerClip});
  g.containerClip = g.EffectiveClip();
  g.containerBase = inner * g.WorldToDevice();
  g.s.world = Mx{};
  g.s.pageUnit = UnitDisplay;
  g.s.pageScale = 1;
  g.s.clip = MakeRegion(RegionNode::Infinite);
  return Ok;
}

}  // namespace

Status GdipRestoreGraphics(GpGraphics* graphics, GraphicsState state) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  GraphicsRestoreTo(*g, state);
  return Ok;
}

Status GdipBeginContainer2(GpGraphics* graphics, GraphicsContainer* state) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  return GraphicsBeginContainer(*g, Mx{}, state);
}

Status GdipBeginContainer(GpGraphics* graphics, const GpRectF* dstrect, const GpRectF* srcrect, GpUnit unit,
                          GraphicsContainer* state) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!dstrect || !srcrect || !Finite(dstrect->X, dstrect->Y, dstrect->Width, dstrect->Height) ||
      !Finite(srcrect->X, srcrect->Y, srcrect->Width, srcrect->Height) || srcrect->Width == 0 ||
      srcrect->Height == 0 || unit < UnitWorld || unit > UnitMillimeter || unit == UnitDisplay)
    return InvalidParameter;
  // The container's space maps the source rectangle onto the destination rectangle of the
  // current world space.
  const double sx = double(dstrect->Width) / srcrect->Width, sy = double(dstrect->Height) / srcrect->Height;
  const Mx inner = Mx::Translation(-srcrect->X, -srcrect->Y) * Mx::Scaling(sx, sy) *
                   Mx::Translation(dstrect->X, dstrect->Y);
  return GraphicsBeginContainer(*g, inner, state);
}

Status GdipBeginContainerI(GpGraphics* graphics, const GpRect* dstrect, const GpRect* srcrect, GpUnit unit,
                           GraphicsContainer* state) {
  if (!dstrect || !srcrect) return InvalidParameter;
  const GpRectF d{REAL(dstrect->X), REAL(dstrect->Y), REAL(dstrect->Width), REAL(dstrect->Height)};
  const GpRectF s{REAL(srcrect->X), REAL(srcrect->Y), REAL(srcrect->Width), REAL(srcrect->Height)};
  return GdipBeginContainer(graphics, &d, &s, unit, state);
}

Status GdipEndContainer(GpGraphics* graphics, GraphicsContainer state) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  GraphicsRestoreTo(*g, state);
  return Ok;
}

// ---- Clipping --------------------------------------------------------------------------------

Status GdipSetClipGraphics(GpGraphics* graphics, GpGraphics* srcgraphics, CombineMode mode) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  Graphics* src = GetGraphics(srcgraphics);
  if (!src || !ValidMode(mode)) return InvalidParameter;
  CombineClip(*g, src->s.clip, mode);
  return Ok;
}

Status GdipSetClipRect(GpGraphics* graphics, REAL x, REAL y, REAL width, REAL height, CombineMode mode) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!Finite(x, y, width, height) || !ValidMode(mode)) return InvalidParameter;
  // A rectangle given with negative sizes is the same rectangle.
  double l = std::min<double>(x, double(x) + width), t = std::min<double>(y, double(y) + height);
  CombineClip(*g,
              TransformRegion(MakeRectRegion(l, t, std::fabs(width), std::fabs(height)), g->WorldToDevice()),
              mode);
  return Ok;
}

Status GdipSetClipRectI(GpGraphics* graphics, INT x, INT y, INT width, INT height, CombineMode mode) {
  return GdipSetClipRect(graphics, REAL(x), REAL(y), REAL(width), REAL(height), mode);
}

Status GdipSetClipPath(GpGraphics* graphics, GpPath* path, CombineMode mode) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  auto* p = Get<Path>(path);
  if (!p || !ValidMode(mode)) return InvalidParameter;
  CombineClip(*g, TransformRegion(MakePathRegion(p->data), g->WorldToDevice()), mode);
  return Ok;
}

Status GdipSetClipRegion(GpGraphics* graphics, GpRegion* region, CombineMode mode) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  auto* r = Get<Region>(region);
  if (!r || !ValidMode(mode)) return InvalidParameter;
  CombineClip(*g, TransformRegion(r->root, g->WorldToDevice()), mode);
  return Ok;
}

Status GdipSetClipHrgn(GpGraphics* graphics, HRGN hrgn, CombineMode mode) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  const pixman_region32* data = hrgn ? gdi::RegionData(hrgn) : nullptr;
  if (!data || !ValidMode(mode)) return InvalidParameter;
  int n = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(const_cast<pixman_region32*>(data), &n);
  RegionPtr r;
  if (n == 0) {
    r = MakeRegion(RegionNode::Empty);
  } else {
    PathData p;
    for (int i = 0; i < n; ++i)
      p.AddRectangle(boxes[i].x1, boxes[i].y1, boxes[i].x2 - boxes[i].x1, boxes[i].y2 - boxes[i].y1);
    p.fillMode = FillModeWinding;
    r = n == 1
            ? MakeRectRegion(boxes[0].x1, boxes[0].y1, boxes[0].x2 - boxes[0].x1, boxes[0].y2 - boxes[0].y1)
            : MakePathRegion(p);
  }
  // Region handles are in device units already.
  CombineClip(*g, r, mode);
  return Ok;
}

Status GdipResetClip(GpGraphics* graphics) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  g->s.clip = MakeRegion(RegionNode::Infinite);
  return Ok;
}

Status GdipTranslateClip(GpGraphics* graphics, REAL dx, REAL dy) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!Finite(dx, dy)) return InvalidParameter;
  double x = dx, y = dy;
  g->WorldToDevice().ApplyVector(x, y);
  g->s.clip = TransformRegion(g->s.clip, Mx::Translation(x, y));
  return Ok;
}

Status GdipTranslateClipI(GpGraphics* graphics, INT dx, INT dy) {
  return GdipTranslateClip(graphics, REAL(dx), REAL(dy));
}

Status GdipGetClip(GpGraphics* graphics, GpRegion* region) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  auto* r = Get<Region>(region);
  if (!r) return InvalidParameter;
  r->root = ClipInWorld(*g);
  return Ok;
}

Status GdipGetClipBounds(GpGraphics* graphics, GpRectF* rect) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!rect) return InvalidParameter;
  *rect = RegionBounds(ClipInWorld(*g));
  return Ok;
}

Status GdipGetClipBoundsI(GpGraphics* graphics, GpRect* rect) {
  if (!rect) return InvalidParameter;
  GpRectF r;
  Status s = GdipGetClipBounds(graphics, &r);
  if (s == Ok)
    *rect = {static_cast<INT>(std::lround(r.X)), static_cast<INT>(std::lround(r.Y)),
             static_cast<INT>(std::lround(r.Width)), static_cast<INT>(std::lround(r.Height))};
  return s;
}

Status GdipGetVisibleClipBounds(GpGraphics* graphics, GpRectF* rect) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!rect) return InvalidParameter;
  PixRgn px;
  Mx devToPix;
  Status s = VisiblePixels(*g, px, &devToPix);
  if (s != Ok) return s;
  Mx toPix = g->WorldToDevice() * devToPix;
  if (px.Empty() || !toPix.Invertible()) {
    *rect = {};
    return Ok;
  }
  pixman_box32_t e = px.Extents();
  Mx back = toPix.Inverse();
  double xs[4] = {double(e.x1), double(e.x2), double(e.x1), double(e.x2)};
  double ys[4] = {double(e.y1), double(e.y1), double(e.y2), double(e.y2)};
  for (int i = 0; i < 4; ++i) back.Apply(xs[i], ys[i]);
  double l = *std::min_element(xs, xs + 4), r = *std::max_element(xs, xs + 4);
  double t = *std::min_element(ys, ys + 4), b = *std::max_element(ys, ys + 4);
  *rect = {REAL(l), REAL(t), REAL(r - l), REAL(b - t)};
  return Ok;
}

Status GdipGetVisibleClipBoundsI(GpGraphics* graphics, GpRect* rect) {
  if (!rect) return InvalidParameter;
  GpRectF r;
  Status s = GdipGetVisibleClipBounds(graphics, &r);
  if (s == Ok)
    *rect = {static_cast<INT>(std::lround(r.X)), static_cast<INT>(std::lround(r.Y)),
             static_cast<INT>(std::lround(r.Width)), static_cast<INT>(std::lround(r.Height))};
  return s;
}

Status GdipIsClipEmpty(GpGraphics* graphics, BOOL* result) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!result) return InvalidParameter;
  const RegionPtr clip = g->EffectiveClip();
  *result = !RegionIsInfinite(clip) && RasterRegion(clip, Mx{}).Empty() ? TRUE : FALSE;
  return Ok;
}

Status GdipIsVisibleClipEmpty(GpGraphics* graphics, BOOL* result) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!result) return InvalidParameter;
  PixRgn px;
  Status s = VisiblePixels(*g, px);
  if (s != Ok) return s;
  *result = px.Empty() ? TRUE : FALSE;
  return Ok;
}

Status GdipIsVisiblePoint(GpGraphics* graphics, REAL x, REAL y, BOOL* result) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!result || !Finite(x, y)) return InvalidParameter;
  PixRgn px;
  Mx devToPix;
  Status s = VisiblePixels(*g, px, &devToPix);
  if (s != Ok) return s;
  double dx = x, dy = y;
  (g->WorldToDevice() * devToPix).Apply(dx, dy);
  double half =
      g->s.pixelOffset == PixelOffsetModeHalf || g->s.pixelOffset == PixelOffsetModeHighQuality ? 0 : 0.5;
  double fx = std::floor(dx + half), fy = std::floor(dy + half);
  *result = std::fabs(fx) < kPixLimit && std::fabs(fy) < kPixLimit && px.Contains(int32_t(fx), int32_t(fy))
                ? TRUE
                : FALSE;
  return Ok;
}

Status GdipIsVisiblePointI(GpGraphics* graphics, INT x, INT y, BOOL* result) {
  return GdipIsVisiblePoint(graphics, REAL(x), REAL(y), result);
}

Status GdipIsVisibleRect(GpGraphics* graphics, REAL x, REAL y, REAL width, REAL height, BOOL* result) {
  QD_GDIP_ENTER();
  QD_GDIP_GRAPHICS(g);
  if (!result || !Finite(x, y, width, height)) return InvalidParameter;
  PixRgn px;
  Mx devToPix;
  Status s = VisiblePixels(*g, px, &devToPix);
  if (s != Ok) return s;
  Mx m = g->WorldToDevice() * devToPix;
  double xs[4] = {x, double(x) + width, x, double(x) + width};
  double ys[4] = {y, y, double(y) + height, double(y) + height};
  for (int i = 0; i < 4; ++i) m.Apply(xs[i], ys[i]);
  double half =
      g->s.pixelOffset == PixelOffsetModeHalf || g->s.pixelOffset == PixelOffsetModeHighQuality ? 0 : 0.5;
  auto lim = [](double v) { return std::clamp(v, -double(kPixLimit), double(kPixLimit)); };
  int32_t l = int32_t(std::floor(lim(*std::min_element(xs, xs + 4) + half)));
  int32_t r = int32_t(std::ceil(lim(*std::max_element(xs, xs + 4) + half)));
  int32_t t = int32_t(std::floor(lim(*std::min_element(ys, ys + 4) + half)));
  int32_t b = int32_t(std::ceil(lim(*std::max_element(ys, ys + 4) + half)));
  if (r == l) ++r;
  if (b == t) ++b;
  px.Intersect(PixRgn(l, t, r, b));
  *result = px.Empty() ? FALSE : TRUE;
  return Ok;
}

Status GdipIsVisibleRectI(GpGraphics* graphics, INT x, INT y, INT width, INT height, BOOL* result) {
  return GdipIsVisibleRect(graphics, REAL(x), REAL(y), REAL(width), REAL(height), result);
}

}  // namespace qd::gdiplus
