// Metafile images: EMF and WMF pictures loaded as GDI+ images, played through GDI.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gdiplus/gdip_internal.h"
#include "platform/os/gdi_metafile.h"

namespace qd::gdiplus::detail {

namespace {

// Larger pictures are refused rather than played into gigabytes of pixels.
constexpr int64_t kMaxMetafilePixels = int64_t(1) << 26;

// Plays the picture onto a w x h 32-bit DIB cleared to `background`.
bool PlayInto(const std::vector<uint8_t>& bytes, int32_t w, int32_t h, uint32_t background,
              std::vector<uint32_t>& px) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bm = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (bm && bits) {
    HGDIOBJ old = SelectObject(dc, bm);
    auto* p = static_cast<uint32_t*>(bits);
    std::fill(p, p + size_t(w) * h, background);
    ok = metafile::Play(dc, bytes, RECT{0, 0, w, h});
    px.assign(p, p + size_t(w) * h);
    SelectObject(dc, old);
  }
  if (bm) DeleteObject(bm);
  DeleteDC(dc);
  return ok;
}

}  // namespace

Status RenderMetafile(const Metafile& m, int32_t w, int32_t h, Bitmap& out) {
  if (w <= 0 || h <= 0) return InvalidParameter;
  if (int64_t(w) * h > kMaxMetafilePixels) return OutOfMemory;
  // GDI writes no alpha: the picture is played over black and over white, and what the two
  // differ by is how much of the background shows through.
  std::vector<uint32_t> onBlack, onWhite;
  if (!PlayInto(*m.bytes, w, h, 0x000000, onBlack) || !PlayInto(*m.bytes, w, h, 0xFFFFFF, onWhite))
    return GenericError;
  std::vector<uint32_t> pargb(onBlack.size());
  for (size_t i = 0; i < pargb.size(); ++i) {
    uint32_t b = onBlack[i], wt = onWhite[i];
    int through = 0;
    uint32_t v = 0;
    for (int c = 0; c < 3; ++c) through += int((wt >> (8 * c)) & 0xFF) - int((b >> (8 * c)) & 0xFF);
    const int alpha = std::clamp(255 - (through + 1) / 3, 0, 255);
    for (int c = 0; c < 3; ++c) v |= std::min<uint32_t>((b >> (8 * c)) & 0xFF, uint32_t(alpha)) << (8 * c);
    pargb[i] = v | uint32_t(alpha) << 24;
  }
  Status s = out.Allocate(w, h, PixelFormat32bppARGB);
  if (s != Ok) return s;
  out.WritePremultiplied(0, 0, w, h, pargb.data(), ptrdiff_t(w) * 4);
  return Ok;
}

Status LoadMetafile(std::span<const uint8_t> data, std::unique_ptr<Metafile>& out) {
  metafile::Info info;
  switch (metafile::Examine(data, info)) {
    case metafile::Check::NotMetafile:
      return UnknownImageFormat;
    case metafile::Check::Damaged:
      return InvalidParameter;
    case metafile::Check::Ok:
      break;
  }
  if (info.width <= 0 || info.height <= 0) return InvalidParameter;
  auto m = std::make_unique<Metafile>();
  m->bytes = std::make_shared<const std::vector<uint8_t>>(data.begin(), data.end());
  m->enhanced = info.kind == metafile::Kind::Emf;
  Status s = RenderMetafile(*m, info.width, info.height, *m);
  if (s != Ok) return s;
  m->rawFormat = m->enhanced ? ImageFormatEMF : ImageFormatWMF;
  m->reported = PixelFormat32bppRGB;
  m->dpiX = info.dpiX;
  m->dpiY = info.dpiY;
  out = std::move(m);
  return Ok;
}

std::unique_ptr<Metafile> CloneMetafile(const Metafile& m) {
  auto c = std::make_unique<Metafile>();
  if (c->Allocate(m.width, m.height, PixelFormat32bppARGB) != Ok) return nullptr;
  for (int32_t y = 0; y < m.height; ++y)
    for (int32_t x = 0; x < m.width; ++x) c->SetArgb(x, y, m.GetArgb(x, y));
  c->bytes = m.bytes;
  c->enhanced = m.enhanced;
  c->rawFormat = m.rawFormat;
  c->reported = m.reported;
  c->dpiX = m.dpiX;
  c->dpiY = m.dpiY;
  return c;
}

}  // namespace qd::gdiplus::detail

namespace qd::gdiplus {

using namespace detail;

Status GdipCreateMetafileFromEmf(HENHMETAFILE hEmf, BOOL deleteEmf, GpMetafile** metafile) {
  QD_GDIP_ENTER();
  if (!metafile) return InvalidParameter;
  std::vector<uint8_t> bytes;
  if (!metafile::BytesOf(hEmf, bytes)) return InvalidParameter;
  std::unique_ptr<Metafile> m;
  Status s = LoadMetafile(bytes, m);
  if (s != Ok) return s;
  if (deleteEmf) DeleteEnhMetaFile(hEmf);
  *metafile = reinterpret_cast<GpMetafile*>(Adopt(std::move(m))->Handle());
  return Ok;
}

Status GdipGetHemfFromMetafile(GpMetafile* metafile, HENHMETAFILE* hEmf) {
  QD_GDIP_ENTER();
  auto* m = Get<Metafile>(reinterpret_cast<GpImage*>(metafile));
  if (!m || !hEmf) return InvalidParameter;
  const auto& b = *m->bytes;
  *hEmf = m->enhanced ? SetEnhMetaFileBits(static_cast<UINT>(b.size()), b.data())
                      : SetWinMetaFileBits(static_cast<UINT>(b.size()), b.data(), nullptr, nullptr);
  return *hEmf ? Ok : GenericError;
}

}  // namespace qd::gdiplus
