// Device contexts: creation, state, save/restore, coordinates, objects and stock objects.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>

#include "platform/base/mathutil.h"
#include "platform/os/gdi_internal.h"
#include "platform/os/gdi_metafile.h"
#include "platform/os/kernel.h"
#include "platform/os/thread_rule.h"

namespace qd::gdi {

namespace {

struct Settings {
  int dpi = 96;
  SIZE screen{1920, 1080};
};
Settings& TheSettings() {
  static Settings s;
  return s;
}

void ReleaseHandle(HGDIOBJ h) {
  Object* o = FindObject(h);
  if (!o) return;
  Release(h);
  // The stock bitmap is shared by the memory DCs of every thread and never has an owner.
  if (o->kind == Kind::Bitmap && !o->stock && o->selections == 0) static_cast<Bitmap*>(o)->owner = nullptr;
}

void RetainState(const DcState& s) {
  for (HGDIOBJ h : {s.pen, s.brush, s.font, s.bitmap, s.palette}) Retain(h);
}
void ReleaseState(const DcState& s) {
  for (HGDIOBJ h : {s.pen, s.brush, s.font, s.bitmap, s.palette}) ReleaseHandle(h);
}

struct Stock {
  HGDIOBJ objects[20] = {};
  HGDIOBJ bitmap = nullptr;  // the 1x1 monochrome bitmap of new memory DCs
  HGDIOBJ sysBrushes[31] = {};
};

HGDIOBJ AddStock(std::unique_ptr<Object> o) {
  o->stock = true;
  return AddObject(std::move(o));
}

HGDIOBJ StockBrush(UINT style, COLORREF c) {
  auto b = std::make_unique<Brush>();
  b->style = style;
  b->color = c;
  return AddStock(std::move(b));
}
HGDIOBJ StockPen(int style, COLORREF c) {
  auto p = std::make_unique<Pen>();
  p->style = static_cast<DWORD>(style);
  p->color = c;
  return AddStock(std::move(p));
}
HGDIOBJ StockFont(const char16_t* face, int height, int weight, BYTE pitch) {
  auto f = std::make_unique<Font>();
  f->lf.lfHeight = height;
  f->lf.lfWeight = weight;
  f->lf.lfPitchAndFamily = pitch;
  for (int i = 0; face[i] && i < LF_FACESIZE - 1; ++i) f->lf.lfFaceName[i] = face[i];
  return AddStock(std::move(f));
}

Stock& TheStock() {
  static Stock* stock = [] {
    auto* s = new Stock;
    s->objects[WHITE_BRUSH] = StockBrush(BS_SOLID, RGB(255, 255, 255));
    s->objects[LTGRAY_BRUSH] = StockBrush(BS_SOLID, RGB(192, 192, 192));
    s->objects[GRAY_BRUSH] = StockBrush(BS_SOLID, RGB(128, 128, 128));
    s->objects[DKGRAY_BRUSH] = StockBrush(BS_SOLID, RGB(64, 64, 64));
    s->objects[BLACK_BRUSH] = StockBrush(BS_SOLID, RGB(0, 0, 0));
    s->objects[NULL_BRUSH] = StockBrush(BS_NULL, 0);
    s->objects[WHITE_PEN] = StockPen(PS_SOLID, RGB(255, 255, 255));
    s->objects[BLACK_PEN] = StockPen(PS_SOLID, RGB(0, 0, 0));
    s->objects[NULL_PEN] = StockPen(PS_NULL, 0);
    s->objects[OEM_FIXED_FONT] = StockFont(u"Terminal", 12, FW_NORMAL, FIXED_PITCH | FF_MODERN);
    s->objects[ANSI_FIXED_FONT] = StockFont(u"Courier", 13, FW_NORMAL, FIXED_PITCH | FF_MODERN);
    s->objects[ANSI_VAR_FONT] = StockFont(u"MS Sans Serif", 13, FW_NORMAL, VARIABLE_PITCH | FF_SWISS);
    s->objects[SYSTEM_FONT] = StockFont(u"System", 16, FW_BOLD, VARIABLE_PITCH | FF_SWISS);
    s->objects[DEVICE_DEFAULT_FONT] = StockFont(u"System", 16, FW_BOLD, VARIABLE_PITCH | FF_SWISS);
    s->objects[SYSTEM_FIXED_FONT] = StockFont(u"Fixedsys", 15, FW_NORMAL, FIXED_PITCH | FF_MODERN);
    s->objects[DEFAULT_GUI_FONT] = StockFont(u"MS Shell Dlg", -11, FW_NORMAL, DEFAULT_PITCH | FF_DONTCARE);
    static_cast<Font*>(FindObject(s->objects[DEFAULT_GUI_FONT]))->points = 8;
    {
      auto pal = std::make_unique<Palette>();
      static const BYTE kVga[20][3] = {{0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},
                                       {0, 0, 128},     {128, 0, 128},   {0, 128, 128},   {192, 192, 192},
                                       {192, 220, 192}, {166, 202, 240}, {255, 251, 240}, {160, 160, 164},
                                       {128, 128, 128}, {255, 0, 0},     {0, 255, 0},     {255, 255, 0},
                                       {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
      for (auto& c : kVga) pal->entries.push_back({c[0], c[1], c[2], 0});
      s->objects[DEFAULT_PALETTE] = AddStock(std::move(pal));
    }
    {
      auto b = std::make_unique<Brush>();
      b->dcBrush = true;
      s->objects[DC_BRUSH] = AddStock(std::move(b));
      auto p = std::make_unique<Pen>();
      p->dcPen = true;
      s->objects[DC_PEN] = AddStock(std::move(p));
    }
    {
      auto bm = std::make_unique<Bitmap>();
      bm->width = bm->height = 1;
      bm->bpp = 1;
      bm->format = Format::Mono;
      bm->stride = 4;
      bm->storage.reset(new uint8_t[4]());
      s->bitmap = AddStock(std::move(bm));
    }
    for (int i = 0; i < 31; ++i) {
      auto b = std::make_unique<Brush>();
      b->sysColor = i;
      s->sysBrushes[i] = AddStock(std::move(b));
    }
    return s;
  }();
  return *stock;
}

void InitState(DcState& s, bool memory) {
  Stock& st = TheStock();
  s.pen = st.objects[BLACK_PEN];
  s.brush = st.objects[WHITE_BRUSH];
  s.font = st.objects[SYSTEM_FONT];
  s.palette = st.objects[DEFAULT_PALETTE];
  s.bitmap = memory ? st.bitmap : nullptr;
  RetainState(s);
}

template <class T, class F>
T WithDc(HDC h, T fail, F&& f) {
  Dc* dc = FindDc(h);
  return dc ? f(*dc) : fail;
}

}  // namespace

HGDIOBJ StockObject(int index) {
  if (index < 0 || index >= 20) return nullptr;
  return TheStock().objects[index];
}
HGDIOBJ SysColorBrushHandle(int index) {
  if (index < 0 || index >= 31) return nullptr;
  return TheStock().sysBrushes[index];
}

int ScreenDpi() {
  return TheSettings().dpi;
}
SIZE ScreenSize() {
  return TheSettings().screen;
}
void SetScreenDpi(int dpi) {
  TheSettings().dpi = dpi > 0 ? dpi : 96;
}
void SetScreenSize(int width, int height) {
  TheSettings().screen = {std::max(width, 1), std::max(height, 1)};
}

Dc::~Dc() {
  ReleaseState(s);
  for (auto& st : saved) ReleaseState(st);
}

Dc* FindDc(HDC h) {
  Dc* dc = Find<Dc>(h);
  if constexpr (os::kCheckThreadRule)
    if (dc && dc->type == DcType::Surface && dc->thread != GetCurrentThreadId())
      os::ThreadRuleBroken("device context", h, dc->thread);
  return dc;
}

Bitmap* SelectedBitmap(const Dc& dc) {
  return dc.type == DcType::Memory ? Find<Bitmap>(dc.s.bitmap) : nullptr;
}

std::optional<Pixmap> TargetOf(const Dc& dc, POINT* deviceOffset) {
  if (deviceOffset) *deviceOffset = {0, 0};
  if (dc.type == DcType::Memory) {
    Bitmap* bm = SelectedBitmap(dc);
    if (!bm) return std::nullopt;
    return bm->View();
  }
  if (dc.type == DcType::Surface && dc.surface && dc.surface->width > 0 && dc.surface->height > 0 &&
      dc.surface->pixels.size() >= static_cast<size_t>(dc.surface->width) * dc.surface->height) {
    Pixmap pm;
    pm.top = reinterpret_cast<uint8_t*>(dc.surface->pixels.data());
    pm.stride = static_cast<ptrdiff_t>(dc.surface->width) * 4;
    pm.width = dc.surface->width;
    pm.height = dc.surface->height;
    pm.format = Format::Bgra32;
    pm.alphaIsData = false;
    if (deviceOffset) *deviceOffset = dc.offset;
    return pm;
  }
  return std::nullopt;
}

pixman_box32_t DeviceBounds(const Dc& dc) {
  POINT off;
  auto pm = TargetOf(dc, &off);
  if (!pm) return {0, 0, 0, 0};
  return {-off.X, -off.Y, pm->width - off.X, pm->height - off.Y};
}

Rgn VisibleClip(const Dc& dc) {
  Rgn r(DeviceBounds(dc));
  if (dc.vis) r.Intersect(*dc.vis);
  if (dc.s.clip) r.Intersect(*dc.s.clip);
  return r;
}

// ---- Coordinates -----------------------------------------------------------------------------

Transform DeviceTransform(const Dc& dc) {
  const DcState& s = dc.s;
  Transform t;
  if (s.graphicsMode == GM_ADVANCED) {
    t.m11 = s.xform.eM11;
    t.m12 = s.xform.eM12;
    t.m21 = s.xform.eM21;
    t.m22 = s.xform.eM22;
    t.dx = s.xform.eDx;
    t.dy = s.xform.eDy;
  }
  t.dx += s.viewportOrg.X - s.windowOrg.X;
  t.dy += s.viewportOrg.Y - s.windowOrg.Y;
  if (s.layout & LAYOUT_RTL) {
    // Mirrored: device x becomes (width - 1) - x, so logical pixel 0 is the rightmost one.
    int32_t w = dc.layoutWidth;
    if (w <= 0) {
      POINT off;
      auto pm = TargetOf(dc, &off);
      w = pm ? pm->width - off.X : 0;
    }
    t.m11 = -t.m11;
    t.m21 = -t.m21;
    t.dx = (w - 1) - t.dx;
  }
  return t;
}

POINT ToDevice(const Transform& t, int x, int y) {
  double X = x * t.m11 + y * t.m21 + t.dx;
  double Y = x * t.m12 + y * t.m22 + t.dy;
  return {RoundCoord(X), RoundCoord(Y)};
}

RECT Normalized(const RECT& r) {
  return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
          std::max(r.Top, r.Bottom)};
}

namespace {
int32_t RoundC(double v) {
  return RoundCoord(v);
}
}  // namespace

RECT ToDeviceRect(const Transform& t, const RECT& r) {
  if (t.IsTranslation()) {
    auto dx = static_cast<int64_t>(t.dx), dy = static_cast<int64_t>(t.dy);
    if (dx == t.dx && dy == t.dy)
      return {ClampCoord(r.Left + dx), ClampCoord(r.Top + dy), ClampCoord(r.Right + dx),
              ClampCoord(r.Bottom + dy)};
  }
  if (t.IsAxisAligned()) {
    int32_t a = RoundC(r.Left * t.m11 + t.dx), b = RoundC(r.Right * t.m11 + t.dx);
    int32_t c = RoundC(r.Top * t.m22 + t.dy), d = RoundC(r.Bottom * t.m22 + t.dy);
    RECT out{a, c, b, d};
    if (t.m11 < 0) {
      out.Left = b + 1;
      out.Right = a + 1;
    }
    if (t.m22 < 0) {
      out.Top = d + 1;
      out.Bottom = c + 1;
    }
    return out;
  }
  POINT p[4] = {ToDevice(t, r.Left, r.Top), ToDevice(t, r.Right, r.Top), ToDevice(t, r.Left, r.Bottom),
                ToDevice(t, r.Right, r.Bottom)};
  RECT out{p[0].X, p[0].Y, p[0].X, p[0].Y};
  for (auto& q : p) {
    out.Left = std::min(out.Left, q.X);
    out.Top = std::min(out.Top, q.Y);
    out.Right = std::max(out.Right, q.X);
    out.Bottom = std::max(out.Bottom, q.Y);
  }
  return out;
}

RECT ToLogicalRect(const Transform& t, const RECT& r) {
  if (t.IsAxisAligned() && t.m11 != 0 && t.m22 != 0) {
    double a = r.Left, b = r.Right, c = r.Top, d = r.Bottom;
    if (t.m11 < 0) {
      a -= 1;
      b -= 1;
    }
    if (t.m22 < 0) {
      c -= 1;
      d -= 1;
    }
    int32_t x1 = RoundC((a - t.dx) / t.m11), x2 = RoundC((b - t.dx) / t.m11);
    int32_t y1 = RoundC((c - t.dy) / t.m22), y2 = RoundC((d - t.dy) / t.m22);
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
  }
  double det = t.m11 * t.m22 - t.m12 * t.m21;
  if (det == 0) return {0, 0, 0, 0};
  auto inv = [&](double X, double Y, double& x, double& y) {
    X -= t.dx;
    Y -= t.dy;
    x = (X * t.m22 - Y * t.m21) / det;
    y = (Y * t.m11 - X * t.m12) / det;
  };
  double xs[4], ys[4];
  inv(r.Left, r.Top, xs[0], ys[0]);
  inv(r.Right, r.Top, xs[1], ys[1]);
  inv(r.Left, r.Bottom, xs[2], ys[2]);
  inv(r.Right, r.Bottom, xs[3], ys[3]);
  return {RoundC(*std::min_element(xs, xs + 4)), RoundC(*std::min_element(ys, ys + 4)),
          RoundC(*std::max_element(xs, xs + 4)), RoundC(*std::max_element(ys, ys + 4))};
}

}  // namespace qd::gdi

namespace qd {
using namespace gdi;

// ---- Public: device contexts -----------------------------------------------------------------

HDC CreateCompatibleDC(HDC dc) {
  if (dc && !FindDc(dc)) return nullptr;
  auto d = std::make_unique<Dc>();
  d->type = DcType::Memory;
  InitState(d->s, true);
  Dc* raw = d.get();
  HDC h = static_cast<HDC>(AddObject(std::move(d)));
  if (Bitmap* bm = SelectedBitmap(*raw); bm && !bm->stock) bm->owner = h;
  return h;
}

HDC CreateDCW(LPCWSTR driver, LPCWSTR device, LPCWSTR, const void*) {
  auto is = [](LPCWSTR s, const char16_t* want) {
    if (!s) return false;
    for (; *s && *want; ++s, ++want)
      if ((*s | 0x20) != (*want | 0x20)) return false;
    return *s == 0 && *want == 0;
  };
  if (!is(driver, u"display") && !(driver == nullptr && is(device, u"display"))) return nullptr;
  auto d = std::make_unique<Dc>();
  d->type = DcType::Display;
  InitState(d->s, false);
  return static_cast<HDC>(AddObject(std::move(d)));
}

BOOL DeleteDC(HDC h) {
  Dc* dc = FindDc(h);
  if (!dc || dc->type == DcType::Surface) return FALSE;
  RemoveObject(h);
  return TRUE;
}

int SaveDC(HDC h) {
  return WithDc(h, 0, [](Dc& dc) {
    if (dc.meta) MetaRecord(dc, EMR_SAVEDC, {});
    dc.saved.push_back(dc.s);
    RetainState(dc.s);
    return static_cast<int>(dc.saved.size());
  });
}

BOOL RestoreDC(HDC h, int savedDC) {
  return WithDc(h, FALSE, [&](Dc& dc) {
    int n = static_cast<int>(dc.saved.size());
    int target = savedDC < 0 ? n + savedDC + 1 : savedDC;
    if (target < 1 || target > n) return FALSE;
    if (dc.meta) MetaRecord(dc, EMR_RESTOREDC, {target - n - 1});
    ReleaseState(dc.s);
    dc.s = std::move(dc.saved[target - 1]);
    for (int i = target; i < n; ++i) ReleaseState(dc.saved[i]);
    dc.saved.resize(target - 1);
    return TRUE;
  });
}

namespace {
BOOL SetPoint(HDC h, POINT DcState::*field, int x, int y, LPPOINT old, bool offset, DWORD record) {
  return WithDc(h, FALSE, [&](Dc& dc) {
    POINT& p = dc.s.*field;
    if (old) *old = p;
    if (offset)
      p = {ClampCoord(int64_t(p.X) + x), ClampCoord(int64_t(p.Y) + y)};
    else
      p = {ClampCoord(x), ClampCoord(y)};
    if (dc.meta) MetaRecord(dc, record, {p.X, p.Y});
    return TRUE;
  });
}
BOOL GetPoint(HDC h, POINT DcState::*field, LPPOINT out) {
  return WithDc(h, FALSE, [&](Dc& dc) {
    if (!out) return FALSE;
    *out = dc.s.*field;
    return TRUE;
  });
}
}  // namespace

BOOL SetWindowOrgEx(HDC dc, int x, int y, LPPOINT old) {
  return SetPoint(dc, &DcState::windowOrg, x, y, old, false, EMR_SETWINDOWORGEX);
}
BOOL GetWindowOrgEx(HDC dc, LPPOINT p) {
  return GetPoint(dc, &DcState::windowOrg, p);
}
BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT old) {
  return SetPoint(dc, &DcState::viewportOrg, x, y, old, false, EMR_SETVIEWPORTORGEX);
}
BOOL GetViewportOrgEx(HDC dc, LPPOINT p) {
  return GetPoint(dc, &DcState::viewportOrg, p);
}
BOOL OffsetWindowOrgEx(HDC dc, int x, int y, LPPOINT old) {
  return SetPoint(dc, &DcState::windowOrg, x, y, old, true, EMR_SETWINDOWORGEX);
}
BOOL OffsetViewportOrgEx(HDC dc, int x, int y, LPPOINT old) {
  return SetPoint(dc, &DcState::viewportOrg, x, y, old, true, EMR_SETVIEWPORTORGEX);
}
BOOL SetBrushOrgEx(HDC dc, int x, int y, LPPOINT old) {
  return SetPoint(dc, &DcState::brushOrg, x, y, old, false, EMR_SETBRUSHORGEX);
}
BOOL GetBrushOrgEx(HDC dc, LPPOINT p) {
  return GetPoint(dc, &DcState::brushOrg, p);
}
BOOL GetCurrentPositionEx(HDC dc, LPPOINT p) {
  return GetPoint(dc, &DcState::curPos, p);
}

// Only MM_TEXT exists here, where extents are fixed at 1:1.
BOOL SetWindowExtEx(HDC h, int, int, SIZE* old) {
  return WithDc(h, FALSE, [&](Dc& dc) {
    if (old) *old = dc.s.windowExt;
    return TRUE;
  });
}
BOOL GetWindowExtEx(HDC h, SIZE* size) {
  return WithDc(h, FALSE, [&](Dc& dc) {
    if (size) *size = dc.s.windowExt;
    return size ? TRUE : FALSE;
  });
}
BOOL SetViewportExtEx(HDC h, int, int, SIZE* old) {
  return WithDc(h, FALSE, [&](Dc& dc) {
    if (old) *old = dc.s.viewportExt;
    return TRUE;
  });
}
BOOL GetViewportExtEx(HDC h, SIZE* size) {
  return WithDc(h, FALSE, [&](Dc& dc) {
    if (size) *size = dc.s.viewportExt;
    return size ? TRUE : FALSE;
  });
}

int SetMapMode(HDC h, int mode) {
  return WithDc(h, 0, [&](Dc& dc) { return mode == MM_TEXT ? dc.s.mapMode : 0; });
}
int GetMapMode(HDC h) {
  return WithDc(h, 0, [](Dc& dc) { return dc.s.mapMode; });
}

int SetGraphicsMode(HDC h, int mode) {
  return WithDc(h, 0, [&](Dc& dc) {
    if (mode != GM_COMPATIBLE && mode != GM_ADVANCED) return 0;
    int old = dc.s.graphicsMode;
    if (mode == GM_COMPATIBLE && old == GM_ADVANCED) {
      const XFORM& x = dc.s.xform;
      // Going back needs the identity transform, as on the original.
      if (x.eM11 != 1 || x.eM12 != 0 || x.eM21 != 0 || x.eM22 != 1 || x.eDx != 0 || x.eDy != 0) return 0;
    }
    dc.s.graphicsMode = mode;
    return old;
  });
}
int GetGraphicsMode(HDC h) {
  return WithDc(h, 0, [](Dc& dc) { return dc.s.graphicsMode; });
}

namespace {
bool ValidXform(const XFORM& x) {
  double det = double(x.eM11) * x.eM22 - double(x.eM12) * x.eM21;
  return std::isfinite(det) && det != 0 && std::isfinite(x.eDx) && std::isfinite(x.eDy);
}
XFORM Multiply(const XFORM& a, const XFORM& b) {  // a then b
  XFORM r;
  r.eM11 = a.eM11 * b.eM11 + a.eM12 * b.eM21;
  r.eM12 = a.eM11 * b.eM12 + a.eM12 * b.eM22;
  r.eM21 = a.eM21 * b.eM11 + a.eM22 * b.eM21;
  r.eM22 = a.eM21 * b.eM12 + a.eM22 * b.eM22;
  r.eDx = a.eDx * b.eM11 + a.eDy * b.eM21 + b.eDx;
  r.eDy = a.eDx * b.eM12 + a.eDy * b.eM22 + b.eDy;
  return r;
}
}  // namespace

BOOL SetWorldTransform(HDC h, const XFORM* xform) {
  return WithDc(h, FALSE, [&](Dc& dc) {
    if (!xform || dc.s.graphicsMode != GM_ADVANCED || !ValidXform(*xform)) return FALSE;
    if (dc.meta) MetaRecordXform(dc, EMR_SETWORLDTRANSFORM, *xform, 0);
    dc.s.xform = *xform;
    return TRUE;
  });
}

BOOL GetWorldTransform(HDC h, XFORM* xform) {
  return WithDc(h, FALSE, [&](Dc& dc) {
    if (!xform) return FALSE;
    *xform = dc.s.xform;
    return TRUE;
  });
}

BOOL ModifyWorldTransform(HDC h, const XFORM* xform, DWORD mode) {
  return WithDc(h, FALSE, [&](Dc& dc) {
    if (dc.s.graphicsMode != GM_ADVANCED) return FALSE;
    XFORM result;
    switch (mode) {
      case MWT_IDENTITY:
        result = XFORM{};
        break;
      case MWT_LEFTMULTIPLY:
        if (!xform) return FALSE;
        result = Multiply(*xform, dc.s.xform);
        break;
      case MWT_RIGHTMULTIPLY:
        if (!xform) return FALSE;
        result = Multiply(dc.s.xform, *xform);
        break;
      default:
        return FALSE;
    }
    if (!ValidXform(result)) return FALSE;
    if (dc.meta) MetaRecordXform(dc, EMR_MODIFYWORLDTRANSFORM, xform ? *xform : XFORM{}, mode);
    dc.s.xform = result;
    return TRUE;
  });
}

BOOL CombineTransform(XFORM* result, const XFORM* a, const XFORM* b) {
  if (!result || !a || !b) return FALSE;
  *result = Multiply(*a, *b);
  return TRUE;
}

BOOL LPtoDP(HDC h, LPPOINT points, int count) {
  return WithDc(h, FALSE, [&](Dc& dc) {
    if (!points && count > 0) return FALSE;
    Transform t = DeviceTransform(dc);
    for (int i = 0; i < count; ++i) points[i] = ToDevice(t, points[i].X, points[i].Y);
    return TRUE;
  });
}

BOOL DPtoLP(HDC h, LPPOINT points, int count) {
  return WithDc(h, FALSE, [&](Dc& dc) {
    if (!points && count > 0) return FALSE;
    Transform t = DeviceTransform(dc);
    double det = t.m11 * t.m22 - t.m12 * t.m21;
    if (det == 0) return FALSE;
    for (int i = 0; i < count; ++i) {
      double X = points[i].X - t.dx, Y = points[i].Y - t.dy;
      points[i] = {RoundC((X * t.m22 - Y * t.m21) / det), RoundC((Y * t.m11 - X * t.m12) / det)};
    }
    return TRUE;
  });
}

namespace {
template <class V>
V Swap(HDC h, V fail, V DcState::*field, V value) {
  return WithDc(h, fail, [&](Dc& dc) {
    V old = dc.s.*field;
    dc.s.*field = value;
    return old;
  });
}
template <class V>
V Read(HDC h, V fail, V DcState::*field) {
  return WithDc(h, fail, [&](Dc& dc) { return dc.s.*field; });
}
}  // namespace

namespace {
void RecordState(HDC h, DWORD type, int32_t value) {
  if (Dc* dc = FindDc(h); dc && dc->meta) MetaRecord(*dc, type, {value});
}
}  // namespace

COLORREF SetTextColor(HDC dc, COLORREF c) {
  RecordState(dc, EMR_SETTEXTCOLOR, static_cast<int32_t>(c & 0xFFFFFF));
  return Swap(dc, CLR_INVALID, &DcState::textColor, c & 0xFFFFFF);
}
COLORREF GetTextColor(HDC dc) {
  return Read(dc, CLR_INVALID, &DcState::textColor);
}
COLORREF SetBkColor(HDC dc, COLORREF c) {
  RecordState(dc, EMR_SETBKCOLOR, static_cast<int32_t>(c & 0xFFFFFF));
  return Swap(dc, CLR_INVALID, &DcState::bkColor, c & 0xFFFFFF);
}
COLORREF GetBkColor(HDC dc) {
  return Read(dc, CLR_INVALID, &DcState::bkColor);
}
int SetBkMode(HDC dc, int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  RecordState(dc, EMR_SETBKMODE, mode);
  return Swap(dc, 0, &DcState::bkMode, mode);
}
int GetBkMode(HDC dc) {
  return Read(dc, 0, &DcState::bkMode);
}
int SetROP2(HDC dc, int rop2) {
  if (rop2 < R2_BLACK || rop2 > R2_WHITE) return 0;
  RecordState(dc, EMR_SETROP2, rop2);
  return Swap(dc, 0, &DcState::rop2, rop2);
}
int GetROP2(HDC dc) {
  return Read(dc, 0, &DcState::rop2);
}
int SetStretchBltMode(HDC dc, int mode) {
  if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
  RecordState(dc, EMR_SETSTRETCHBLTMODE, mode);
  return Swap(dc, 0, &DcState::stretchMode, mode);
}
int GetStretchBltMode(HDC dc) {
  return Read(dc, 0, &DcState::stretchMode);
}
int SetPolyFillMode(HDC dc, int mode) {
  if (mode != ALTERNATE && mode != WINDING) return 0;
  RecordState(dc, EMR_SETPOLYFILLMODE, mode);
  return Swap(dc, 0, &DcState::polyFillMode, mode);
}
int GetPolyFillMode(HDC dc) {
  return Read(dc, 0, &DcState::polyFillMode);
}
int SetArcDirection(HDC dc, int dir) {
  if (dir != AD_CLOCKWISE && dir != AD_COUNTERCLOCKWISE) return 0;
  RecordState(dc, EMR_SETARCDIRECTION, dir);
  return Swap(dc, 0, &DcState::arcDirection, dir);
}
int GetArcDirection(HDC dc) {
  return Read(dc, 0, &DcState::arcDirection);
}
UINT SetTextAlign(HDC dc, UINT align) {
  RecordState(dc, EMR_SETTEXTALIGN, static_cast<int32_t>(align));
  return Swap(dc, static_cast<UINT>(GDI_ERROR), &DcState::textAlign, align);
}
UINT GetTextAlign(HDC dc) {
  return Read(dc, static_cast<UINT>(GDI_ERROR), &DcState::textAlign);
}
COLORREF SetDCBrushColor(HDC dc, COLORREF c) {
  return Swap(dc, CLR_INVALID, &DcState::dcBrushColor, c & 0xFFFFFF);
}
COLORREF GetDCBrushColor(HDC dc) {
  return Read(dc, CLR_INVALID, &DcState::dcBrushColor);
}
COLORREF SetDCPenColor(HDC dc, COLORREF c) {
  return Swap(dc, CLR_INVALID, &DcState::dcPenColor, c & 0xFFFFFF);
}
COLORREF GetDCPenColor(HDC dc) {
  return Read(dc, CLR_INVALID, &DcState::dcPenColor);
}
DWORD SetLayout(HDC dc, DWORD layout) {
  if (layout & ~(LAYOUT_RTL | LAYOUT_BITMAPORIENTATIONPRESERVED)) return static_cast<DWORD>(GDI_ERROR);
  return Swap(dc, static_cast<DWORD>(GDI_ERROR), &DcState::layout, layout);
}
DWORD GetLayout(HDC dc) {
  return Read(dc, static_cast<DWORD>(GDI_ERROR), &DcState::layout);
}
BOOL GdiFlush() {
  return TRUE;
}

int GetDeviceCaps(HDC h, int index) {
  Dc* dc = FindDc(h);
  if (!dc) return 0;
  const Settings& st = TheSettings();
  switch (index) {
    case DRIVERVERSION:
      return 0x4000;
    case TECHNOLOGY:
      return DT_RASDISPLAY;
    case HORZSIZE:
      return MulDiv(st.screen.cx, 254, st.dpi * 10);
    case VERTSIZE:
      return MulDiv(st.screen.cy, 254, st.dpi * 10);
    case HORZRES:
    case DESKTOPHORZRES:
      return st.screen.cx;
    case VERTRES:
    case DESKTOPVERTRES:
      return st.screen.cy;
    case BITSPIXEL:
      return 32;
    case PLANES:
      return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS:
      return -1;
    case NUMMARKERS:
    case NUMFONTS:
      return 0;
    case PDEVICESIZE:
      return 0;
    case CURVECAPS:
      return 511;
    case LINECAPS:
      return 254;
    case POLYGONALCAPS:
      return 255;
    case TEXTCAPS:
      return 0x7E9F;
    case CLIPCAPS:
      return 1;
    case RASTERCAPS:
      return RC_BITBLT | RC_BITMAP64 | RC_GDI20_OUTPUT | RC_DI_BITMAP | RC_DIBTODEV | RC_BIGFONT |
             RC_STRETCHBLT | RC_FLOODFILL | RC_STRETCHDIB;
    case ASPECTX:
    case ASPECTY:
      return 36;
    case ASPECTXY:
      return 51;
    case LOGPIXELSX:
    case LOGPIXELSY:
      return st.dpi;
    case SIZEPALETTE:
    case NUMRESERVED:
      return 0;
    case COLORRES:
      return 24;
    case VREFRESH:
      return 60;
    case SHADEBLENDCAPS:
      return SB_CONST_ALPHA | SB_PIXEL_ALPHA | SB_PREMULT_ALPHA | SB_GRAD_RECT | SB_GRAD_TRI;
    default:
      return 0;
  }
}

// ---- Objects ---------------------------------------------------------------------------------

DWORD GetObjectType(HGDIOBJ h) {
  Object* o = FindObject(h);
  if (!o) return 0;
  switch (o->kind) {
    case Kind::DC:
      if (static_cast<Dc*>(o)->meta) return OBJ_ENHMETADC;
      return static_cast<Dc*>(o)->type == DcType::Memory ? OBJ_MEMDC : OBJ_DC;
    case Kind::Bitmap:
      return OBJ_BITMAP;
    case Kind::Brush:
      return OBJ_BRUSH;
    case Kind::Pen:
      return static_cast<Pen*>(o)->ext ? OBJ_EXTPEN : OBJ_PEN;
    case Kind::Font:
      return OBJ_FONT;
    case Kind::Region:
      return OBJ_REGION;
    case Kind::Palette:
      return OBJ_PAL;
  }
  return 0;
}

HGDIOBJ GetCurrentObject(HDC h, UINT type) {
  Dc* dc = FindDc(h);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
      return dc->s.pen;
    case OBJ_BRUSH:
      return dc->s.brush;
    case OBJ_FONT:
      return dc->s.font;
    case OBJ_BITMAP:
      return dc->s.bitmap;
    case OBJ_PAL:
      return dc->s.palette;
    default:
      return nullptr;
  }
}

HGDIOBJ SelectObject(HDC h, HGDIOBJ object) {
  Dc* dc = FindDc(h);
  Object* o = FindObject(object);
  if (!dc || !o) return nullptr;
  HGDIOBJ DcState::*field = nullptr;
  switch (o->kind) {
    case Kind::Pen:
      field = &DcState::pen;
      break;
    case Kind::Brush:
      field = &DcState::brush;
      break;
    case Kind::Font:
      field = &DcState::font;
      break;
    case Kind::Bitmap: {
      if (dc->type != DcType::Memory) return nullptr;
      auto* bm = static_cast<Bitmap*>(o);
      if (!bm->stock && bm->owner && bm->owner != h) return nullptr;
      field = &DcState::bitmap;
      break;
    }
    case Kind::Region: {
      int type = SelectClipRgn(h, static_cast<HRGN>(object));
      return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(type));
    }
    default:
      return nullptr;
  }
  HGDIOBJ old = dc->s.*field;
  if (old == object) return old;
  if (dc->meta) MetaRecordSelect(*dc, object);
  Retain(object);
  dc->s.*field = object;
  if (o->kind == Kind::Bitmap && !o->stock) static_cast<Bitmap*>(o)->owner = h;
  ReleaseHandle(old);
  return old;
}

BOOL DeleteObject(HGDIOBJ h) {
  Object* o = FindObject(h);
  if (!o || o->kind == Kind::DC) return FALSE;
  if (o->stock) return TRUE;
  if (o->selections > 0) return FALSE;
  MetaRecordDelete(h);
  RemoveObject(h);
  return TRUE;
}

HGDIOBJ GetStockObject(int index) {
  return StockObject(index);
}

int GetObjectW(HGDIOBJ h, int size, void* buffer) {
  Object* o = FindObject(h);
  if (!o || size < 0) return 0;
  auto put = [&](const void* data, int n) {
    if (!buffer) return n;
    int c = std::min(size, n);
    std::memcpy(buffer, data, static_cast<size_t>(c));
    return c;
  };
  switch (o->kind) {
    case Kind::Bitmap: {
      auto* bm = static_cast<Bitmap*>(o);
      BITMAP b;
      b.bmType = 0;
      b.bmWidth = bm->width;
      b.bmHeight = bm->height;
      b.bmWidthBytes = bm->dib ? static_cast<LONG>(bm->stride) : ((bm->width * bm->bpp + 15) / 16) * 2;
      b.bmPlanes = 1;
      b.bmBitsPixel = static_cast<WORD>(bm->bpp);
      b.bmBits = bm->dib ? bm->Bits() : nullptr;
      if (bm->dib && buffer && size >= static_cast<int>(sizeof(DIBSECTION))) {
        DIBSECTION ds;
        ds.dsBm = b;
        ds.dsBmih.biWidth = bm->width;
        ds.dsBmih.biHeight = bm->topDown ? -bm->height : bm->height;
        ds.dsBmih.biBitCount = static_cast<WORD>(bm->bpp);
        ds.dsBmih.biCompression = bm->compression;
        ds.dsBmih.biSizeImage = static_cast<DWORD>(bm->stride * bm->height);
        ds.dsBmih.biClrUsed = static_cast<DWORD>(bm->colors.size());
        if (bm->compression == BI_BITFIELDS) {
          ds.dsBitfields[0] = 0xFF0000;
          ds.dsBitfields[1] = 0xFF00;
          ds.dsBitfields[2] = 0xFF;
        }
        std::memcpy(buffer, &ds, sizeof ds);
        return sizeof(DIBSECTION);
      }
      if (buffer && size < static_cast<int>(sizeof(BITMAP))) return 0;
      return put(&b, sizeof b);
    }
    case Kind::Pen: {
      auto* p = static_cast<Pen*>(o);
      if (p->ext) {
        EXTLOGPEN e;
        e.elpPenStyle = p->style;
        e.elpWidth = static_cast<DWORD>(p->width);
        e.elpBrushStyle = p->brushStyle;
        e.elpColor = p->color;
        e.elpHatch = p->hatch;
        e.elpNumEntries = static_cast<DWORD>(p->userStyle.size());
        int n = static_cast<int>(offsetof(EXTLOGPEN, elpStyleEntry) + sizeof(DWORD) * p->userStyle.size());
        n = std::max<int>(n, sizeof(EXTLOGPEN));
        if (!buffer) return n;
        if (size < n) return 0;
        std::memcpy(buffer, &e, sizeof e);
        auto* entries =
            reinterpret_cast<DWORD*>(static_cast<char*>(buffer) + offsetof(EXTLOGPEN, elpStyleEntry));
        for (size_t i = 0; i < p->userStyle.size(); ++i) entries[i] = p->userStyle[i];
        return n;
      }
      LOGPEN lp;
      lp.lopnStyle = p->style;
      lp.lopnWidth = {p->width, 0};
      lp.lopnColor = p->color;
      if (buffer && size < static_cast<int>(sizeof(LOGPEN))) return 0;
      return put(&lp, sizeof lp);
    }
    case Kind::Brush: {
      auto* b = static_cast<Brush*>(o);
      LOGBRUSH lb;
      lb.lbStyle = b->style;
      lb.lbColor = b->sysColor >= 0 ? SysColor(b->sysColor) : b->color;
      lb.lbHatch = b->style == BS_HATCHED ? static_cast<ULONG_PTR>(b->hatch) : 0;
      if (buffer && size < static_cast<int>(sizeof(LOGBRUSH))) return 0;
      return put(&lb, sizeof lb);
    }
    case Kind::Font: {
      LOGFONTW lf = static_cast<Font*>(o)->Logical();
      return put(&lf, sizeof(LOGFONTW));
    }
    case Kind::Palette: {
      auto n = static_cast<WORD>(static_cast<Palette*>(o)->entries.size());
      if (buffer && size < 2) return 0;
      return put(&n, 2);
    }
    default:
      return 0;
  }
}

}  // namespace qd
