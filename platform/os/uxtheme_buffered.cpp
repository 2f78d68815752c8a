// Buffered painting: an off-screen DIB section with its own DC that mirrors the target's
// coordinates and clip, copied to the target when the painting ends.
#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>

#include "platform/os/user.h"
#include "platform/os/uxtheme_internal.h"

namespace qd {

struct HPAINTBUFFER__ {
  HDC target = nullptr;
  RECT rect;  // logical units of the target
  BP_BUFFERFORMAT format = BPBF_TOPDOWNDIB;
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ oldBitmap = nullptr;
  HGDIOBJ oldFont = nullptr;
  uint8_t* bits = nullptr;
  int w = 0, h = 0;
  ptrdiff_t stride = 0;  // bytes per stored row
  bool topDown = true;
  int bpp = 32;
  int savedLevel = 0;
  bool hasBlend = false;
  BLENDFUNCTION blend;
  bool hasExclude = false;
  RECT exclude;
};

namespace {

struct Buffers {
  std::mutex mutex;
  std::set<HPAINTBUFFER> live;
  int initCount = 0;
};

Buffers& PaintBuffers() {
  static Buffers b;
  return b;
}

bool Valid(HPAINTBUFFER b) {
  std::lock_guard lock(PaintBuffers().mutex);
  return b && PaintBuffers().live.count(b) > 0;
}

// The buffer's pixel rows covering a rectangle given in the target's logical units.
bool BufferArea(HPAINTBUFFER b, const RECT* rect, RECT& out) {
  RECT r = rect ? *rect : b->rect;
  out = RectOffset(RectIntersection(r, b->rect), -b->rect.Left, -b->rect.Top);
  return !out.IsEmpty();
}

uint8_t* Row(HPAINTBUFFER b, int y) {
  int stored = b->topDown ? y : b->h - 1 - y;
  return b->bits + static_cast<ptrdiff_t>(stored) * b->stride;
}

}  // namespace

HRESULT BufferedPaintInit() {
  std::lock_guard lock(PaintBuffers().mutex);
  ++PaintBuffers().initCount;
  return S_OK;
}

HRESULT BufferedPaintUnInit() {
  std::lock_guard lock(PaintBuffers().mutex);
  if (PaintBuffers().initCount > 0) --PaintBuffers().initCount;
  return S_OK;
}

HPAINTBUFFER BeginBufferedPaint(HDC target, const RECT* targetRect, BP_BUFFERFORMAT format,
                                const BP_PAINTPARAMS* params, HDC* paintDc) {
  if (paintDc) *paintDc = nullptr;
  if (!target || !targetRect || !paintDc) return nullptr;
  DWORD type = GetObjectType(target);
  if (type != OBJ_DC && type != OBJ_MEMDC) return nullptr;
  if (params && params->cbSize != sizeof(BP_PAINTPARAMS)) return nullptr;
  if (format < BPBF_COMPATIBLEBITMAP || format > BPBF_TOPDOWNMONODIB) return nullptr;
  RECT r = *targetRect;
  if (r.Right <= r.Left || r.Bottom <= r.Top) return nullptr;

  auto b = std::make_unique<HPAINTBUFFER__>();
  b->target = target;
  b->rect = r;
  b->format = format;
  b->w = r.Width();
  b->h = r.Height();
  b->bpp = format == BPBF_TOPDOWNMONODIB ? 1 : 32;
  b->topDown = format != BPBF_DIB;
  // A DIB section in every format; a compatible bitmap only hides its bits.
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
  } info{};
  info.header.biWidth = b->w;
  info.header.biHeight = b->topDown ? -b->h : b->h;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(b->bpp);
  info.header.biCompression = BI_RGB;
  info.colors[1] = RGBQUAD{255, 255, 255, 0};
  b->dc = CreateCompatibleDC(target);
  void* bits = nullptr;
  b->bitmap =
      CreateDIBSection(b->dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!b->dc || !b->bitmap || !bits) {
    if (b->bitmap) DeleteObject(b->bitmap);
    if (b->dc) DeleteDC(b->dc);
    return nullptr;
  }
  b->bits = static_cast<uint8_t*>(bits);
  b->stride = ((static_cast<ptrdiff_t>(b->w) * b->bpp + 31) / 32) * 4;
  b->oldBitmap = SelectObject(b->dc, b->bitmap);
  b->oldFont = SelectObject(b->dc, GetCurrentObject(target, OBJ_FONT));
  SetTextColor(b->dc, GetTextColor(target));
  SetBkColor(b->dc, GetBkColor(target));
  SetBkMode(b->dc, GetBkMode(target));
  SetWindowOrgEx(b->dc, r.Left, r.Top, nullptr);

  DWORD flags = params ? params->dwFlags : 0;
  if (!(flags & BPPF_NOCLIP)) {
    // The target's clip region, moved to the buffer's device coordinates.
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    if (GetClipRgn(target, clip) == 1) {
      POINT origin{r.Left, r.Top};
      LPtoDP(target, &origin, 1);
      OffsetRgn(clip, -origin.X, -origin.Y);
      SelectClipRgn(b->dc, clip);
    }
    DeleteObject(clip);
  }
  if (params && params->prcExclude) {
    b->hasExclude = true;
    b->exclude = *params->prcExclude;
    ExcludeClipRect(b->dc, b->exclude.Left, b->exclude.Top, b->exclude.Right, b->exclude.Bottom);
  }
  if (params && params->pBlendFunction) {
    b->hasBlend = true;
    b->blend = *params->pBlendFunction;
  }
  b->savedLevel = SaveDC(b->dc);
  *paintDc = b->dc;
  HPAINTBUFFER h = b.release();
  std::lock_guard lock(PaintBuffers().mutex);
  PaintBuffers().live.insert(h);
  return h;
}

HRESULT EndBufferedPaint(HPAINTBUFFER buffer, BOOL updateTarget) {
  {
    std::lock_guard lock(PaintBuffers().mutex);
    if (!buffer || !PaintBuffers().live.erase(buffer)) return E_HANDLE;
  }
  std::unique_ptr<HPAINTBUFFER__> b(buffer);
  // Whatever the painting left selected or set, the buffer's own state comes back.
  RestoreDC(b->dc, b->savedLevel);
  if (updateTarget) {
    int saved = SaveDC(b->target);
    if (b->hasExclude)
      ExcludeClipRect(b->target, b->exclude.Left, b->exclude.Top, b->exclude.Right, b->exclude.Bottom);
    const RECT& r = b->rect;
    if (b->hasBlend)
      AlphaBlend(b->target, r.Left, r.Top, b->w, b->h, b->dc, r.Left, r.Top, b->w, b->h, b->blend);
    else
      BitBlt(b->target, r.Left, r.Top, b->w, b->h, b->dc, r.Left, r.Top, SRCCOPY);
    RestoreDC(b->target, saved);
  }
  SelectObject(b->dc, b->oldFont);
  SelectObject(b->dc, b->oldBitmap);
  DeleteObject(b->bitmap);
  DeleteDC(b->dc);
  return S_OK;
}

HRESULT BufferedPaintClear(HPAINTBUFFER buffer, const RECT* rect) {
  if (!Valid(buffer)) return E_HANDLE;
  RECT a;
  if (!BufferArea(buffer, rect, a)) return S_OK;
  for (int y = a.Top; y < a.Bottom; ++y) {
    uint8_t* row = Row(buffer, y);
    if (buffer->bpp == 32) {
      std::memset(row + static_cast<ptrdiff_t>(a.Left) * 4, 0, static_cast<size_t>(a.Width()) * 4);
    } else {
      for (int x = a.Left; x < a.Right; ++x) row[x / 8] &= static_cast<uint8_t>(~(0x80 >> (x % 8)));
    }
  }
  return S_OK;
}

HRESULT BufferedPaintSetAlpha(HPAINTBUFFER buffer, const RECT* rect, BYTE alpha) {
  if (!Valid(buffer)) return E_HANDLE;
  if (buffer->bpp != 32) return E_FAIL;
  RECT a;
  if (!BufferArea(buffer, rect, a)) return S_OK;
  for (int y = a.Top; y < a.Bottom; ++y) {
    uint8_t* row = Row(buffer, y);
    for (int x = a.Left; x < a.Right; ++x) row[static_cast<ptrdiff_t>(x) * 4 + 3] = alpha;
  }
  return S_OK;
}

HRESULT BufferedPaintMakeOpaque(HPAINTBUFFER buffer, const RECT* rect) {
  return BufferedPaintSetAlpha(buffer, rect, 255);
}

HRESULT GetBufferedPaintBits(HPAINTBUFFER buffer, RGBQUAD** bits, int* rowPixels) {
  if (!Valid(buffer)) return E_HANDLE;
  if (!bits || !rowPixels) return E_POINTER;
  if (buffer->format == BPBF_COMPATIBLEBITMAP) return E_FAIL;
  *bits = reinterpret_cast<RGBQUAD*>(buffer->bits);
  *rowPixels = static_cast<int>(buffer->bpp == 32 ? buffer->stride / 4 : buffer->stride * 8);
  return S_OK;
}

HDC GetBufferedPaintDC(HPAINTBUFFER buffer) {
  return Valid(buffer) ? buffer->dc : nullptr;
}

HDC GetBufferedPaintTargetDC(HPAINTBUFFER buffer) {
  return Valid(buffer) ? buffer->target : nullptr;
}

HRESULT GetBufferedPaintTargetRect(HPAINTBUFFER buffer, RECT* rect) {
  if (!Valid(buffer)) return E_HANDLE;
  if (!rect) return E_POINTER;
  *rect = buffer->rect;
  return S_OK;
}

HANIMATIONBUFFER BeginBufferedAnimation(HWND, HDC target, const RECT* targetRect, BP_BUFFERFORMAT format,
                                        const BP_PAINTPARAMS* paintParams, const BP_ANIMATIONPARAMS*,
                                        HDC* fromDc, HDC* toDc) {
  if (fromDc) *fromDc = nullptr;
  HDC dc = nullptr;
  HPAINTBUFFER b = BeginBufferedPaint(target, targetRect, format, paintParams, &dc);
  if (toDc) *toDc = dc;
  return reinterpret_cast<HANIMATIONBUFFER>(b);
}

HRESULT EndBufferedAnimation(HANIMATIONBUFFER buffer, BOOL updateTarget) {
  return EndBufferedPaint(reinterpret_cast<HPAINTBUFFER>(buffer), updateTarget);
}

BOOL BufferedPaintRenderAnimation(HWND, HDC) {
  return FALSE;
}

HRESULT BufferedPaintStopAllAnimations(HWND) {
  return S_OK;
}

}  // namespace qd
