// Bitmaps: pixel storage in four formats, pixel access, LockBits, HBITMAP interchange, cloning,
// rotation and palettes.
#include <algorithm>
#include <cstring>
#include <new>

#include "platform/gdiplus/gdip_internal.h"

namespace qd::gdiplus {

using namespace detail;

namespace detail {

namespace {

constexpr uint64_t kMaxBitmapPixels = uint64_t(1) << 28;
constexpr int32_t kMaxBitmapSide = 1 << 20;

int BytesPerPixel(PixelFormat f) {
  return f == PixelFormat24bppRGB ? 3 : 4;
}

int32_t StrideFor(int32_t width, PixelFormat f) {
  return static_cast<int32_t>(((int64_t(width) * BytesPerPixel(f)) + 3) & ~int64_t(3));
}

uint32_t LoadPx(const uint8_t* row, int32_t x, PixelFormat f) {
  if (f == PixelFormat24bppRGB) {
    const uint8_t* p = row + size_t(x) * 3;
    return 0xFF000000u | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
  }
  uint32_t v;
  std::memcpy(&v, row + size_t(x) * 4, 4);
  if (f == PixelFormat32bppRGB) return v | 0xFF000000u;
  if (f == PixelFormat32bppPARGB) return Unpremultiply(v);
  return v;
}

void StorePx(uint8_t* row, int32_t x, PixelFormat f, uint32_t argb) {
  if (f == PixelFormat24bppRGB) {
    uint8_t* p = row + size_t(x) * 3;
    p[0] = uint8_t(argb);
    p[1] = uint8_t(argb >> 8);
    p[2] = uint8_t(argb >> 16);
    return;
  }
  uint32_t v = argb;
  if (f == PixelFormat32bppRGB) v |= 0xFF000000u;
  if (f == PixelFormat32bppPARGB) v = Premultiply(argb);
  std::memcpy(row + size_t(x) * 4, &v, 4);
}

// Copies a w x h block between rows of two formats.
void ConvertRows(const uint8_t* src, ptrdiff_t srcStride, PixelFormat sf, uint8_t* dst, ptrdiff_t dstStride,
                 PixelFormat df, int32_t w, int32_t h) {
  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* s = src + y * srcStride;
    uint8_t* d = dst + y * dstStride;
    if (sf == df) {
      std::memcpy(d, s, size_t(w) * BytesPerPixel(sf));
      continue;
    }
    for (int32_t x = 0; x < w; ++x) StorePx(d, x, df, LoadPx(s, x, sf));
  }
}

}  // namespace

uint32_t Premultiply(uint32_t argb) {
  uint32_t a = argb >> 24;
  if (a == 255) return argb;
  if (a == 0) return 0;
  auto mul = [a](uint32_t c) { return (c * a + 127) / 255; };
  return (a << 24) | (mul((argb >> 16) & 0xFF) << 16) | (mul((argb >> 8) & 0xFF) << 8) | mul(argb & 0xFF);
}

uint32_t Unpremultiply(uint32_t pargb) {
  uint32_t a = pargb >> 24;
  if (a == 255) return pargb;
  if (a == 0) return 0;
  auto div = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
  return (a << 24) | (div((pargb >> 16) & 0xFF) << 16) | (div((pargb >> 8) & 0xFF) << 8) | div(pargb & 0xFF);
}

bool IsSupportedFormat(PixelFormat f) {
  return f == PixelFormat32bppARGB || f == PixelFormat32bppPARGB || f == PixelFormat32bppRGB ||
         f == PixelFormat24bppRGB;
}

Status Bitmap::Allocate(int32_t w, int32_t h, PixelFormat f) {
  if (w <= 0 || h <= 0) return InvalidParameter;
  if (w > kMaxBitmapSide || h > kMaxBitmapSide || uint64_t(w) * uint64_t(h) > kMaxBitmapPixels)
    return OutOfMemory;
  int32_t s = StrideFor(w, f);
  uint8_t* p = new (std::nothrow) uint8_t[size_t(s) * size_t(h)]();
  if (!p) return OutOfMemory;
  own.reset(p);
  scan0 = p;
  stride = s;
  width = w;
  height = h;
  format = f;
  return Ok;
}

uint32_t Bitmap::GetArgb(int32_t x, int32_t y) const {
  return LoadPx(Row(y), x, format);
}

void Bitmap::SetArgb(int32_t x, int32_t y, uint32_t argb) {
  StorePx(Row(y), x, format, argb);
}

void Bitmap::ReadPremultiplied(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t* dst,
                               ptrdiff_t dstStride) const {
  for (int32_t j = 0; j < h; ++j) {
    const uint8_t* row = Row(y + j);
    auto* d = reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(dst) + j * dstStride);
    if (format == PixelFormat32bppPARGB) {
      std::memcpy(d, row + size_t(x) * 4, size_t(w) * 4);
    } else {
      for (int32_t i = 0; i < w; ++i) d[i] = Premultiply(LoadPx(row, x + i, format));
    }
  }
}

void Bitmap::WritePremultiplied(int32_t x, int32_t y, int32_t w, int32_t h, const uint32_t* src,
                                ptrdiff_t srcStride) {
  for (int32_t j = 0; j < h; ++j) {
    uint8_t* row = Row(y + j);
    const auto* s = reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(src) + j * srcStride);
    if (format == PixelFormat32bppPARGB) {
      std::memcpy(row + size_t(x) * 4, s, size_t(w) * 4);
    } else if (format == PixelFormat32bppARGB) {
      for (int32_t i = 0; i < w; ++i) StorePx(row, x + i, format, Unpremultiply(s[i]));
    } else {
      // Opaque formats keep the colour as composed over black.
      for (int32_t i = 0; i < w; ++i) StorePx(row, x + i, format, s[i] | 0xFF000000u);
    }
  }
}

Status Bitmap::LoadFrame(UINT index) {
  if (!source || index >= source->Frames.size()) return InvalidParameter;
  const codecs::Frame& f = source->Frames[index];
  if (f.Width <= 0 || f.Height <= 0 || f.Pixels.size() < size_t(f.Width) * size_t(f.Height))
    return InvalidParameter;
  if (!own || f.Width != width || f.Height != height || format != PixelFormat32bppARGB) {
    Status s = Allocate(f.Width, f.Height, PixelFormat32bppARGB);
    if (s != Ok) return s;
  }
  for (int32_t y = 0; y < height; ++y)
    std::memcpy(Row(y), f.Pixels.data() + size_t(y) * size_t(f.Width), size_t(width) * 4);
  activeFrame = index;
  return Ok;
}

std::unique_ptr<Bitmap> Bitmap::Clone() const {
  auto b = std::make_unique<Bitmap>();
  if (b->Allocate(width, height, format) != Ok) return nullptr;
  for (int32_t y = 0; y < height; ++y) std::memcpy(b->Row(y), Row(y), size_t(width) * BytesPerPixel(format));
  b->reported = reported;
  b->rawFormat = rawFormat;
  b->dpiX = dpiX;
  b->dpiY = dpiY;
  b->flags = flags;
  b->palette = palette;
  b->source = source;
  b->activeFrame = activeFrame;
  b->properties = properties;
  return b;
}

Status BitmapFromDecoded(std::shared_ptr<codecs::Image> decoded, std::unique_ptr<Bitmap>& out) {
  if (!decoded || decoded->Frames.empty()) return UnknownImageFormat;
  auto b = std::make_unique<Bitmap>();
  b->source = decoded;
  Status s = b->LoadFrame(0);
  if (s != Ok) return s;
  b->reported = static_cast<PixelFormat>(codecs::GdipPixelFormat(decoded->SourceKind));
  b->rawFormat = codecs::RawFormatGuid(decoded->Format);
  b->dpiX = decoded->DpiX > 0 ? decoded->DpiX : 96;
  b->dpiY = decoded->DpiY > 0 ? decoded->DpiY : 96;
  b->flags = decoded->Flags;
  b->palette = decoded->Palette;
  b->properties = decoded->Properties;
  out = std::move(b);
  return Ok;
}

cairo_surface_t* SurfaceOf(const Bitmap& bitmap, int32_t x, int32_t y, int32_t w, int32_t h,
                           const ColorAdjust* adjust) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(w, 1), std::max(h, 1));
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) return s;
  cairo_surface_flush(s);
  auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s));
  ptrdiff_t stride = cairo_image_surface_get_stride(s);
  if (adjust && adjust->Active()) {
    std::vector<uint32_t> row(static_cast<size_t>(w));
    for (int32_t j = 0; j < h; ++j) {
      for (int32_t i = 0; i < w; ++i) row[i] = bitmap.GetArgb(x + i, y + j);
      adjust->Apply(row.data(), row.size());
      auto* d = reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(data) + j * stride);
      for (int32_t i = 0; i < w; ++i) d[i] = Premultiply(row[i]);
    }
  } else {
    bitmap.ReadPremultiplied(x, y, w, h, data, stride);
  }
  cairo_surface_mark_dirty(s);
  return s;
}

Image* GetImage(const GpImage* handle) {
  return Get<Image>(handle);
}

Bitmap* GetBitmap(const GpImage* handle) {
  return Get<Bitmap>(handle);
}

}  // namespace detail

// ---- Flat API --------------------------------------------------------------------------------

namespace {

Status NewBitmap(std::unique_ptr<Bitmap> b, GpBitmap** out) {
  *out = static_cast<GpBitmap*>(Adopt(std::move(b)));
  return Ok;
}

UINT FlagsFor(PixelFormat f) {
  UINT flags = ImageFlagsColorSpaceRGB;
  if (f & PixelFormatAlpha) flags |= ImageFlagsHasAlpha;
  return flags;
}

bool KnownFormat(PixelFormat f) {
  switch (f) {
    case PixelFormat1bppIndexed:
    case PixelFormat4bppIndexed:
    case PixelFormat8bppIndexed:
    case PixelFormat16bppGrayScale:
    case PixelFormat16bppRGB555:
    case PixelFormat16bppRGB565:
    case PixelFormat16bppARGB1555:
    case PixelFormat24bppRGB:
    case PixelFormat32bppRGB:
    case PixelFormat32bppARGB:
    case PixelFormat32bppPARGB:
    case PixelFormat48bppRGB:
    case PixelFormat64bppARGB:
    case PixelFormat64bppPARGB:
    case PixelFormat32bppCMYK:
      return true;
    default:
      return false;
  }
}

// Rotates or mirrors a bitmap's pixels into a new buffer.
Status RotateFlip(Bitmap& b, RotateFlipType type) {
  int rot = type & 3;
  bool flipX = type >= 4;
  int32_t w = b.width, h = b.height;
  int32_t nw = (rot & 1) ? h : w, nh = (rot & 1) ? w : h;
  Bitmap out;
  Status s = out.Allocate(nw, nh, b.format);
  if (s != Ok) return s;
  for (int32_t y = 0; y < nh; ++y)
    for (int32_t x = 0; x < nw; ++x) {
      // Undo the mirror (applied after the rotation), then the clockwise rotation.
      int32_t ux = flipX ? nw - 1 - x : x, uy = y;
      int32_t sx = 0, sy = 0;
      switch (rot) {
        case 0:
          sx = ux, sy = uy;
          break;
        case 1:
          sx = uy, sy = h - 1 - ux;
          break;
        case 2:
          sx = w - 1 - ux, sy = h - 1 - uy;
          break;
        case 3:
          sx = w - 1 - uy, sy = ux;
          break;
      }
      out.SetArgb(x, y, b.GetArgb(sx, sy));
    }
  b.own = std::move(out.own);
  b.scan0 = out.scan0;
  b.stride = out.stride;
  b.width = nw;
  b.height = nh;
  if (rot & 1) std::swap(b.dpiX, b.dpiY);
  return Ok;
}

}  // namespace

Status GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0,
                                 GpBitmap** bitmap) {
  QD_GDIP_ENTER();
  if (!bitmap || width <= 0 || height <= 0 || !KnownFormat(format)) return InvalidParameter;
  if (!IsSupportedFormat(format)) return NotImplemented;
  auto b = std::make_unique<Bitmap>();
  if (scan0) {
    int64_t minStride = int64_t(width) * BytesPerPixel(format);
    if (stride % 4 != 0 || std::llabs(int64_t(stride)) < minStride) return InvalidParameter;
    if (width > kMaxBitmapSide || height > kMaxBitmapSide) return OutOfMemory;
    b->width = width;
    b->height = height;
    b->format = format;
    b->stride = stride;
    b->scan0 = scan0;
  } else {
    Status s = b->Allocate(width, height, format);
    if (s != Ok) return s;
  }
  b->reported = format;
  b->flags = FlagsFor(format);
  return NewBitmap(std::move(b), bitmap);
}

Status GdipCreateBitmapFromGraphics(INT width, INT height, GpGraphics* target, GpBitmap** bitmap) {
  QD_GDIP_ENTER();
  auto* g = Get<Graphics>(target);
  if (!g || !bitmap || width <= 0 || height <= 0) return InvalidParameter;
  auto b = std::make_unique<Bitmap>();
  Status s = b->Allocate(width, height, PixelFormat32bppPARGB);
  if (s != Ok) return s;
  b->reported = PixelFormat32bppPARGB;
  b->flags = FlagsFor(PixelFormat32bppPARGB);
  b->dpiX = g->dpiX;
  b->dpiY = g->dpiY;
  return NewBitmap(std::move(b), bitmap);
}

Status GdipCreateBitmapFromHBITMAP(HBITMAP hbm, HPALETTE, GpBitmap** bitmap) {
  QD_GDIP_ENTER();
  if (!hbm || !bitmap || GetObjectType(hbm) != OBJ_BITMAP) return InvalidParameter;
  BITMAP info;
  if (!GetObjectW(hbm, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight == 0)
    return InvalidParameter;
  int32_t w = info.bmWidth, h = std::abs(info.bmHeight);
  // GDI leaves the alpha byte undefined, so the pixels are taken as opaque.
  PixelFormat f = info.bmBitsPixel == 24 ? PixelFormat24bppRGB : PixelFormat32bppRGB;
  auto b = std::make_unique<Bitmap>();
  Status s = b->Allocate(w, h, f);
  if (s != Ok) return s;
  std::vector<uint32_t> px(size_t(w) * size_t(h));
  BITMAPINFO bi;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  HDC dc = CreateCompatibleDC(nullptr);
  int lines = GetDIBits(dc, hbm, 0, static_cast<UINT>(h), px.data(), &bi, DIB_RGB_COLORS);
  DeleteDC(dc);
  if (lines != h) return Win32Error;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) b->SetArgb(x, y, px[size_t(y) * w + x] | 0xFF000000u);
  b->reported = f;
  b->flags = FlagsFor(f);
  return NewBitmap(std::move(b), bitmap);
}

Status GdipCreateHBITMAPFromBitmap(GpBitmap* bitmap, HBITMAP* hbmReturn, ARGB background) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(bitmap);
  if (!b || !hbmReturn) return InvalidParameter;
  if (b->locked) return WrongState;
  BITMAPINFO bi;
  bi.bmiHeader.biWidth = b->width;
  bi.bmiHeader.biHeight = b->height;  // bottom-up, as GDI's bitmaps usually are
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP hbm = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!hbm || !bits) return OutOfMemory;
  uint32_t bg = Premultiply(background);
  auto* dst = static_cast<uint32_t*>(bits);
  std::vector<uint32_t> row(static_cast<size_t>(b->width));
  for (int32_t y = 0; y < b->height; ++y) {
    b->ReadPremultiplied(0, y, b->width, 1, row.data(), 0);
    uint32_t* d = dst + size_t(b->height - 1 - y) * size_t(b->width);
    for (int32_t x = 0; x < b->width; ++x) {
      uint32_t s = row[x], a = s >> 24;
      if (a == 255 || bg == 0) {
        d[x] = s;
        continue;
      }
      // The pixel over the background.
      uint32_t out = 0;
      for (int sh = 0; sh < 32; sh += 8) {
        uint32_t c = ((s >> sh) & 0xFF) + (((bg >> sh) & 0xFF) * (255 - a) + 127) / 255;
        out |= std::min<uint32_t>(c, 255) << sh;
      }
      d[x] = out;
    }
  }
  *hbmReturn = hbm;
  return Ok;
}

Status GdipCloneImage(GpImage* image, GpImage** cloneImage) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(image);
  if (!b || !cloneImage) return InvalidParameter;
  if (b->locked) return WrongState;
  if (auto* m = dynamic_cast<Metafile*>(b)) {
    auto c = CloneMetafile(*m);
    if (!c) return OutOfMemory;
    *cloneImage = Adopt(std::move(c))->Handle();
    return Ok;
  }
  auto c = b->Clone();
  if (!c) return OutOfMemory;
  *cloneImage = Adopt(std::move(c))->Handle();
  return Ok;
}

Status GdipCloneBitmapAreaI(INT x, INT y, INT width, INT height, PixelFormat format, GpBitmap* srcBitmap,
                            GpBitmap** dstBitmap) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(srcBitmap);
  if (!b || !dstBitmap || width <= 0 || height <= 0 || x < 0 || y < 0 || x > b->width - width ||
      y > b->height - height)
    return InvalidParameter;
  if (b->locked) return WrongState;
  if (format == PixelFormatDontCare) format = b->format;
  if (!KnownFormat(format)) return InvalidParameter;
  if (!IsSupportedFormat(format)) return NotImplemented;
  auto c = std::make_unique<Bitmap>();
  Status s = c->Allocate(width, height, format);
  if (s != Ok) return s;
  ConvertRows(b->Row(y) + size_t(x) * BytesPerPixel(b->format), b->stride, b->format, c->scan0, c->stride,
              format, width, height);
  c->reported = format;
  c->flags = FlagsFor(format);
  c->rawFormat = b->rawFormat;
  c->dpiX = b->dpiX;
  c->dpiY = b->dpiY;
  return NewBitmap(std::move(c), dstBitmap);
}

Status GdipCloneBitmapArea(REAL x, REAL y, REAL width, REAL height, PixelFormat format, GpBitmap* srcBitmap,
                           GpBitmap** dstBitmap) {
  if (!Finite(x, y, width, height)) return InvalidParameter;
  auto i = [](REAL v) { return static_cast<INT>(std::clamp<double>(std::floor(v + 0.5), -2e9, 2e9)); };
  return GdipCloneBitmapAreaI(i(x), i(y), i(width), i(height), format, srcBitmap, dstBitmap);
}

Status GdipDisposeImage(GpImage* image) {
  QD_GDIP_LOCK();
  if (!GetImage(image)) return InvalidParameter;
  Destroy(image);
  return Ok;
}

Status GdipGetImageWidth(GpImage* image, UINT* width) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(image);
  if (!b || !width) return InvalidParameter;
  *width = static_cast<UINT>(b->width);
  return Ok;
}

Status GdipGetImageHeight(GpImage* image, UINT* height) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(image);
  if (!b || !height) return InvalidParameter;
  *height = static_cast<UINT>(b->height);
  return Ok;
}

Status GdipGetImageDimension(GpImage* image, REAL* width, REAL* height) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(image);
  if (!b || !width || !height) return InvalidParameter;
  *width = REAL(b->width);
  *height = REAL(b->height);
  return Ok;
}

Status GdipGetImageBounds(GpImage* image, GpRectF* srcRect, GpUnit* srcUnit) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(image);
  if (!b || !srcRect || !srcUnit) return InvalidParameter;
  *srcRect = {0, 0, REAL(b->width), REAL(b->height)};
  *srcUnit = UnitPixel;
  return Ok;
}

Status GdipGetImageType(GpImage* image, ImageType* type) {
  QD_GDIP_ENTER();
  auto* i = GetImage(image);
  if (!i || !type) return InvalidParameter;
  *type = dynamic_cast<Metafile*>(i) ? ImageTypeMetafile
          : dynamic_cast<Bitmap*>(i) ? ImageTypeBitmap
                                     : ImageTypeUnknown;
  return Ok;
}

Status GdipGetImageRawFormat(GpImage* image, GUID* format) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(image);
  if (!b || !format) return InvalidParameter;
  *format = b->rawFormat;
  return Ok;
}

Status GdipGetImagePixelFormat(GpImage* image, PixelFormat* format) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(image);
  if (!b || !format) return InvalidParameter;
  *format = b->reported;
  return Ok;
}

Status GdipGetImageHorizontalResolution(GpImage* image, REAL* resolution) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(image);
  if (!b || !resolution) return InvalidParameter;
  *resolution = REAL(b->dpiX);
  return Ok;
}

Status GdipGetImageVerticalResolution(GpImage* image, REAL* resolution) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(image);
  if (!b || !resolution) return InvalidParameter;
  *resolution = REAL(b->dpiY);
  return Ok;
}

Status GdipBitmapSetResolution(GpBitmap* bitmap, REAL xdpi, REAL ydpi) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(bitmap);
  if (!b || !Finite(xdpi, ydpi) || xdpi <= 0 || ydpi <= 0) return InvalidParameter;
  b->dpiX = xdpi;
  b->dpiY = ydpi;
  return Ok;
}

Status GdipGetImageFlags(GpImage* image, UINT* flags) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(image);
  if (!b || !flags) return InvalidParameter;
  *flags = b->flags;
  return Ok;
}

Status GdipGetImagePaletteSize(GpImage* image, INT* size) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(image);
  if (!b || !size) return InvalidParameter;
  size_t n = b->palette.Entries.size();
  *size = static_cast<INT>(sizeof(ColorPalette) + (n > 1 ? (n - 1) * sizeof(ARGB) : 0));
  return Ok;
}

Status GdipGetImagePalette(GpImage* image, ColorPalette* palette, INT size) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(image);
  if (!b || !palette) return InvalidParameter;
  size_t n = b->palette.Entries.size();
  size_t need = sizeof(ColorPalette) + (n > 1 ? (n - 1) * sizeof(ARGB) : 0);
  if (size < 0 || static_cast<size_t>(size) < need) return InvalidParameter;
  palette->Flags = b->palette.Flags;
  palette->Count = static_cast<UINT>(n);
  ARGB* entries = palette->Entries;
  for (size_t i = 0; i < n; ++i) entries[i] = b->palette.Entries[i];
  return Ok;
}

Status GdipSetImagePalette(GpImage* image, const ColorPalette* palette) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(image);
  if (!b || !palette || palette->Count > 256) return InvalidParameter;
  b->palette.Flags = palette->Flags;
  const ARGB* entries = palette->Entries;
  b->palette.Entries.assign(entries, entries + palette->Count);
  return Ok;
}

Status GdipBitmapLockBits(GpBitmap* bitmap, const GpRect* rect, UINT flags, PixelFormat format,
                          BitmapData* data) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(bitmap);
  if (!b || !data || !(flags & (ImageLockModeRead | ImageLockModeWrite)) ||
      ((flags & ImageLockModeWrite) && IsMetafile(b)))
    return InvalidParameter;
  GpRect r = rect ? *rect : GpRect{0, 0, b->width, b->height};
  if (r.Width <= 0 || r.Height <= 0 || r.X < 0 || r.Y < 0 || r.X > b->width - r.Width ||
      r.Y > b->height - r.Height)
    return InvalidParameter;
  if (!IsSupportedFormat(format)) return InvalidParameter;
  if (b->locked) return WrongState;
  int bpp = BytesPerPixel(format);
  void* scan0 = nullptr;
  INT stride = 0;
  b->lockBuffer.reset();
  if (flags & ImageLockModeUserInputBuf) {
    if (!data->Scan0 || std::llabs(int64_t(data->Stride)) < int64_t(r.Width) * bpp) return InvalidParameter;
    scan0 = data->Scan0;
    stride = data->Stride;
  } else if (format == b->format) {
    scan0 = b->Row(r.Y) + size_t(r.X) * bpp;
    stride = b->stride;
  } else {
    stride = StrideFor(r.Width, format);
    uint8_t* buf = new (std::nothrow) uint8_t[size_t(stride) * size_t(r.Height)]();
    if (!buf) return OutOfMemory;
    b->lockBuffer.reset(buf);
    scan0 = buf;
  }
  bool direct = !(flags & ImageLockModeUserInputBuf) && format == b->format;
  if ((flags & ImageLockModeRead) && !direct)
    ConvertRows(b->Row(r.Y) + size_t(r.X) * BytesPerPixel(b->format), b->stride, b->format,
                static_cast<uint8_t*>(scan0), stride, format, r.Width, r.Height);
  b->locked = true;
  b->lockRect = r;
  b->lockFlags = flags;
  b->lockFormat = format;
  b->lockScan0 = direct ? nullptr : scan0;
  b->lockStride = stride;
  data->Width = static_cast<UINT>(r.Width);
  data->Height = static_cast<UINT>(r.Height);
  data->Stride = stride;
  data->PixelFormat = format;
  data->Scan0 = scan0;
  data->Reserved = 0;
  return Ok;
}

Status GdipBitmapUnlockBits(GpBitmap* bitmap, BitmapData* data) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(bitmap);
  if (!b || !data) return InvalidParameter;
  if (!b->locked) return WrongState;
  if ((b->lockFlags & ImageLockModeWrite) && b->lockScan0) {
    const GpRect& r = b->lockRect;
    ConvertRows(static_cast<const uint8_t*>(b->lockScan0), b->lockStride, b->lockFormat,
                b->Row(r.Y) + size_t(r.X) * BytesPerPixel(b->format), b->stride, b->format, r.Width,
                r.Height);
  }
  b->locked = false;
  b->lockBuffer.reset();
  b->lockScan0 = nullptr;
  return Ok;
}

Status GdipBitmapGetPixel(GpBitmap* bitmap, INT x, INT y, ARGB* color) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(bitmap);
  if (!b || !color || x < 0 || y < 0 || x >= b->width || y >= b->height) return InvalidParameter;
  if (b->locked) return WrongState;
  *color = b->GetArgb(x, y);
  return Ok;
}

Status GdipBitmapSetPixel(GpBitmap* bitmap, INT x, INT y, ARGB color) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(bitmap);
  if (!b || x < 0 || y < 0 || x >= b->width || y >= b->height || IsMetafile(b)) return InvalidParameter;
  if (b->locked) return WrongState;
  b->SetArgb(x, y, color);
  return Ok;
}

Status GdipImageRotateFlip(GpImage* image, RotateFlipType rfType) {
  QD_GDIP_ENTER();
  auto* b = GetBitmap(image);
  if (!b || rfType < RotateNoneFlipNone || rfType > Rotate270FlipX || IsMetafile(b)) return InvalidParameter;
  if (b->locked) return WrongState;
  if (rfType == RotateNoneFlipNone) return Ok;
  return RotateFlip(*b, rfType);
}

}  // namespace qd::gdiplus
