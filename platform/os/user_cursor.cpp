// Cursors and icons: system shapes, resources (.cur/.ico with bitmap images), pixels from
// bitmaps, drawing through AlphaBlend.
#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/base/resources.h"
#include "platform/os/gdi.h"
#include "platform/os/user_display.h"
#include "platform/os/user_internal.h"

namespace qd::user {
namespace {

struct IconObj {
  bool icon = true;
  int hotX = 0, hotY = 0;
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // premultiplied 0xAARRGGBB, top-down
  int systemId = 0;              // IDC_/IDI_ value for shared system shapes
};

struct Icons {
  std::mutex mutex;
  std::unordered_map<HICON, std::unique_ptr<IconObj>> live;
  std::unordered_map<int, HICON> system;
  HCURSOR current = nullptr;
  int showCount = 0;
};

Icons& I() {
  static Icons* i = new Icons;
  return *i;
}

HICON Add(std::unique_ptr<IconObj> obj) {
  HICON h = reinterpret_cast<HICON>(obj.get());
  std::lock_guard lock(I().mutex);
  I().live[h] = std::move(obj);
  return h;
}

IconObj* Find(HICON h) {
  std::lock_guard lock(I().mutex);
  auto it = I().live.find(h);
  return it == I().live.end() ? nullptr : it->second.get();
}

// Simple shapes for the system cursors and icons: black with a white outline.
std::unique_ptr<IconObj> SystemShape(int id, bool cursor) {
  auto o = std::make_unique<IconObj>();
  o->icon = !cursor;
  o->systemId = id;
  o->width = o->height = 32;
  o->pixels.assign(32 * 32, 0);
  auto set = [&](int x, int y, uint32_t c) {
    if (x >= 0 && x < 32 && y >= 0 && y < 32) o->pixels[static_cast<size_t>(y) * 32 + x] = c;
  };
  const uint32_t black = 0xFF000000u, white = 0xFFFFFFFFu;
  if (!cursor) {
    for (int y = 4; y < 28; ++y)
      for (int x = 4; x < 28; ++x) set(x, y, (x == 4 || y == 4 || x == 27 || y == 27) ? black : white);
    return o;
  }
  switch (id) {
    case 32513: {  // I-beam
      o->hotX = 16;
      o->hotY = 16;
      for (int y = 6; y < 26; ++y) set(16, y, black);
      for (int x = 13; x < 20; ++x) {
        set(x, 6, black);
        set(x, 25, black);
      }
      break;
    }
    case 32515:  // cross
    case 32646: {
      o->hotX = 16;
      o->hotY = 16;
      for (int i = 4; i < 29; ++i) {
        set(16, i, black);
        set(i, 16, black);
      }
      break;
    }
    default: {  // arrow
      for (int y = 0; y < 19; ++y)
        for (int x = 0; x <= y && x < 12; ++x)
          set(x, y, (x == 0 || x == y || y == 18 || x == 11) ? black : white);
      break;
    }
  }
  return o;
}

HICON SystemHandle(int id, bool cursor) {
  const int key = cursor ? id : -id;
  {
    std::lock_guard lock(I().mutex);
    if (auto it = I().system.find(key); it != I().system.end()) return it->second;
  }
  HICON h = Add(SystemShape(id, cursor));
  std::lock_guard lock(I().mutex);
  I().system[key] = h;
  return h;
}

bool IsKnownSystemCursor(int id) {
  switch (id) {
    case 32512:
    case 32513:
    case 32514:
    case 32515:
    case 32516:
    case 32640:
    case 32641:
    case 32642:
    case 32643:
    case 32644:
    case 32645:
    case 32646:
    case 32648:
    case 32649:
    case 32650:
    case 32651:
      return true;
    default:
      return false;
  }
}

uint16_t U16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t U32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// One image of an .ico/.cur file in bitmap form (BITMAPINFOHEADER, colour rows, AND mask).
bool DecodeDibImage(const uint8_t* p, size_t n, IconObj& o) {
  if (n < 40 || U32(p) < 40) return false;
  const uint32_t hdr = U32(p);
  const int32_t w = static_cast<int32_t>(U32(p + 4));
  const int32_t h2 = static_cast<int32_t>(U32(p + 8));
  const uint16_t bpp = U16(p + 14);
  if (w <= 0 || w > 256 || h2 <= 0 || h2 > 512 || U32(p + 16) != 0) return false;
  const int32_t h = h2 / 2;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return false;
  uint32_t colors = U32(p + 32);
  if (bpp <= 8 && colors == 0) colors = 1u << bpp;
  if (bpp > 8) colors = 0;
  const size_t paletteOff = hdr;
  const size_t xorOff = paletteOff + colors * 4;
  const size_t xorStride = ((static_cast<size_t>(w) * bpp + 31) / 32) * 4;
  const size_t andOff = xorOff + xorStride * h;
  const size_t andStride = ((static_cast<size_t>(w) + 31) / 32) * 4;
  if (andOff > n || andOff + andStride * h > n) {
    if (bpp != 32 || xorOff + xorStride * h > n) return false;
  }
  const bool haveMask = andOff + andStride * h <= n;
  o.width = w;
  o.height = h;
  o.pixels.assign(static_cast<size_t>(w) * h, 0);
  bool anyAlpha = false;
  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* row = p + xorOff + xorStride * (h - 1 - y);
    for (int32_t x = 0; x < w; ++x) {
      uint32_t argb = 0;
      if (bpp == 32) {
        argb = U32(row + x * 4);
        if (argb >> 24) anyAlpha = true;
      } else if (bpp == 24) {
        argb = row[x * 3] | (row[x * 3 + 1] << 8) | (row[x * 3 + 2] << 16);
      } else {
        uint32_t idx = bpp == 8   ? row[x]
                       : bpp == 4 ? (row[x / 2] >> ((1 - x % 2) * 4)) & 0xF
                                  : (row[x / 8] >> (7 - x % 8)) & 1;
        if (idx < colors) argb = U32(p + paletteOff + idx * 4) & 0xFFFFFFu;
      }
      o.pixels[static_cast<size_t>(y) * w + x] = argb;
    }
  }
  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* mrow = haveMask ? p + andOff + andStride * (h - 1 - y) : nullptr;
    for (int32_t x = 0; x < w; ++x) {
      uint32_t& px = o.pixels[static_cast<size_t>(y) * w + x];
      const bool transparent = mrow && ((mrow[x / 8] >> (7 - x % 8)) & 1);
      uint32_t a = anyAlpha ? (px >> 24) : (transparent ? 0 : 255);
      if (!anyAlpha && transparent) px = 0;
      uint32_t r = ((px >> 16) & 0xFF) * a / 255, g = ((px >> 8) & 0xFF) * a / 255, b = (px & 0xFF) * a / 255;
      px = (a << 24) | (r << 16) | (g << 8) | b;
    }
  }
  return true;
}

HICON FromIconFile(std::span<const uint8_t> data, bool cursor, int want) {
  const uint8_t* p = data.data();
  const size_t n = data.size();
  if (n < 6 || U16(p) != 0 || (U16(p + 2) != 1 && U16(p + 2) != 2)) return nullptr;
  const uint16_t count = U16(p + 4);
  if (count == 0 || 6 + static_cast<size_t>(count) * 16 > n) return nullptr;
  int best = -1, bestScore = INT32_MAX;
  for (int i = 0; i < count; ++i) {
    const uint8_t* e = p + 6 + i * 16;
    int w = e[0] ? e[0] : 256;
    uint32_t size = U32(e + 8), off = U32(e + 12);
    if (off >= n || size > n - off || size < 8 || std::memcmp(p + off, "\x89PNG", 4) == 0) continue;
    int score = std::abs(w - want);
    if (score < bestScore) {
      bestScore = score;
      best = i;
    }
  }
  if (best < 0) return nullptr;
  const uint8_t* e = p + 6 + best * 16;
  auto o = std::make_unique<IconObj>();
  if (!DecodeDibImage(p + U32(e + 12), U32(e + 8), *o)) return nullptr;
  o->icon = !cursor;
  if (U16(p + 2) == 2) {
    o->hotX = U16(e + 4);
    o->hotY = U16(e + 6);
  } else {
    o->hotX = o->width / 2;
    o->hotY = o->height / 2;
  }
  return Add(std::move(o));
}

std::string ResourceName(LPCWSTR name) {
  if (IS_INTRESOURCE(name)) return std::to_string(reinterpret_cast<uintptr_t>(name));
  std::string s;
  for (const Char* c = name; *c; ++c) s += *c < 0x80 ? static_cast<char>(*c) : '_';
  return s;
}

// Pixels of a bitmap as premultiplied 32-bit rows; false when it is no bitmap.
bool BitmapPixels(HBITMAP bmp, int& w, int& h, std::vector<uint32_t>& px, bool& hasAlpha) {
  BITMAP bm{};
  if (!bmp || !GetObjectW(bmp, sizeof bm, &bm)) return false;
  w = bm.bmWidth;
  h = bm.bmHeight;
  if (w <= 0 || h <= 0) return false;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  px.assign(static_cast<size_t>(w) * h, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  int lines = GetDIBits(dc, bmp, 0, static_cast<UINT>(h), px.data(), &bi, DIB_RGB_COLORS);
  DeleteDC(dc);
  hasAlpha =
      bm.bmBitsPixel == 32 && std::any_of(px.begin(), px.end(), [](uint32_t v) { return (v >> 24) != 0; });
  return lines > 0;
}

}  // namespace

int CursorSystemId(HCURSOR c) {
  IconObj* o = Find(c);
  return o ? o->systemId : 0;
}

}  // namespace qd::user

namespace qd::os {
int SystemCursorId(HCURSOR cursor) {
  return qd::user::CursorSystemId(cursor);
}
bool GetCursorImage(HCURSOR cursor, WindowPixels& image, POINT& hotspot) {
  using namespace qd::user;
  IconObj* o = Find(cursor);
  if (!o) return false;
  image.width = o->width;
  image.height = o->height;
  image.pixels = o->pixels;
  hotspot = {o->hotX, o->hotY};
  return true;
}
void ResetCursorForTesting() {
  using namespace qd::user;
  std::lock_guard lock(I().mutex);
  I().current = nullptr;
  I().showCount = 0;
}
}  // namespace qd::os

namespace qd {
using namespace user;

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
  if (!name) return nullptr;
  if (!instance && IS_INTRESOURCE(name)) {
    int id = static_cast<int>(reinterpret_cast<uintptr_t>(name));
    if (!IsKnownSystemCursor(id)) {
      SetLastError(1814);  // ERROR_RESOURCE_NAME_NOT_FOUND
      return nullptr;
    }
    return SystemHandle(id, true);
  }
  auto data = FindEmbeddedResource("CURSOR", ResourceName(name));
  HCURSOR c = data.empty() ? nullptr : FromIconFile(data, true, GetSystemMetrics(SM_CXCURSOR));
  if (!c) SetLastError(1814);
  return c;
}

HICON LoadIconW(HINSTANCE instance, LPCWSTR name) {
  if (!name) return nullptr;
  if (!instance && IS_INTRESOURCE(name)) {
    int id = static_cast<int>(reinterpret_cast<uintptr_t>(name));
    if (id < 32512 || id > 32518) {
      SetLastError(1814);
      return nullptr;
    }
    return SystemHandle(id, false);
  }
  auto data = FindEmbeddedResource("ICON", ResourceName(name));
  HICON icon = data.empty() ? nullptr : FromIconFile(data, false, GetSystemMetrics(SM_CXICON));
  if (!icon) SetLastError(1814);
  return icon;
}

HCURSOR SetCursor(HCURSOR cursor) {
  HCURSOR old;
  {
    std::lock_guard lock(I().mutex);
    old = I().current;
    I().current = cursor;
  }
  if (old != cursor)
    if (auto* b = os::GetDisplayBackend()) b->CursorChanged(cursor);
  return old;
}

HCURSOR GetCursor() {
  std::lock_guard lock(I().mutex);
  return I().current;
}

int ShowCursor(BOOL show) {
  std::lock_guard lock(I().mutex);
  I().showCount += show ? 1 : -1;
  return I().showCount;
}

HCURSOR CreateCursor(HINSTANCE, int xHotspot, int yHotspot, int width, int height, const void* andPlane,
                     const void* xorPlane) {
  if (width <= 0 || height <= 0 || width > 256 || height > 256 || !andPlane || !xorPlane) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto o = std::make_unique<IconObj>();
  o->icon = false;
  o->width = width;
  o->height = height;
  o->hotX = xHotspot;
  o->hotY = yHotspot;
  o->pixels.assign(static_cast<size_t>(width) * height, 0);
  const size_t stride = ((static_cast<size_t>(width) + 15) / 16) * 2;  // rows are word aligned
  auto a = static_cast<const uint8_t*>(andPlane);
  auto x = static_cast<const uint8_t*>(xorPlane);
  for (int yy = 0; yy < height; ++yy)
    for (int xx = 0; xx < width; ++xx) {
      const bool andBit = (a[yy * stride + xx / 8] >> (7 - xx % 8)) & 1;
      const bool xorBit = (x[yy * stride + xx / 8] >> (7 - xx % 8)) & 1;
      uint32_t px = 0;
      if (!andBit)
        px = xorBit ? 0xFFFFFFFFu : 0xFF000000u;
      else if (xorBit)
        px = 0xFF000000u;  // an inverting pixel shows dark
      o->pixels[static_cast<size_t>(yy) * width + xx] = px;
    }
  return Add(std::move(o));
}

BOOL DestroyIcon(HICON icon) {
  std::lock_guard lock(I().mutex);
  auto it = I().live.find(icon);
  if (it == I().live.end()) {
    SetLastError(ERROR_INVALID_ICON_HANDLE);
    return FALSE;
  }
  if (it->second->systemId) return TRUE;  // shared shapes stay
  if (I().current == icon) I().current = nullptr;
  I().live.erase(it);
  return TRUE;
}

BOOL DestroyCursor(HCURSOR cursor) {
  return DestroyIcon(cursor);
}

HICON CopyIcon(HICON icon) {
  IconObj* o = Find(icon);
  if (!o) return nullptr;
  auto c = std::make_unique<IconObj>(*o);
  c->systemId = 0;
  return Add(std::move(c));
}

HICON CreateIconIndirect(const ICONINFO* info) {
  if (!info || !info->hbmMask) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto o = std::make_unique<IconObj>();
  o->icon = info->fIcon != FALSE;
  int mw = 0, mh = 0;
  std::vector<uint32_t> mask;
  bool maskAlpha = false;
  if (!BitmapPixels(info->hbmMask, mw, mh, mask, maskAlpha)) return nullptr;
  if (info->hbmColor) {
    int w = 0, h = 0;
    std::vector<uint32_t> color;
    bool hasAlpha = false;
    if (!BitmapPixels(info->hbmColor, w, h, color, hasAlpha)) return nullptr;
    o->width = w;
    o->height = h;
    o->pixels.resize(color.size());
    for (size_t i = 0; i < color.size(); ++i) {
      uint32_t c = color[i];
      uint32_t a;
      if (hasAlpha) {
        a = c >> 24;
      } else {
        const int y = static_cast<int>(i) / w, x = static_cast<int>(i) % w;
        const bool transparent = y < mh && x < mw && (mask[static_cast<size_t>(y) * mw + x] & 0xFFFFFF) != 0;
        a = transparent ? 0 : 255;
      }
      uint32_t r = ((c >> 16) & 0xFF) * a / 255, g = ((c >> 8) & 0xFF) * a / 255, b = (c & 0xFF) * a / 255;
      o->pixels[i] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  } else {
    // Monochrome: the upper half is the AND mask, the lower half the XOR mask.
    o->width = mw;
    o->height = mh / 2;
    o->pixels.assign(static_cast<size_t>(o->width) * o->height, 0);
    for (int y = 0; y < o->height; ++y)
      for (int x = 0; x < mw; ++x) {
        const bool andBit = (mask[static_cast<size_t>(y) * mw + x] & 0xFFFFFF) != 0;
        const bool xorBit = (mask[static_cast<size_t>(y + o->height) * mw + x] & 0xFFFFFF) != 0;
        uint32_t px = 0;
        if (!andBit)
          px = xorBit ? 0xFFFFFFFFu : 0xFF000000u;
        else if (xorBit)
          px = 0xFF000000u;
        o->pixels[static_cast<size_t>(y) * mw + x] = px;
      }
  }
  if (o->icon) {
    o->hotX = o->width / 2;
    o->hotY = o->height / 2;
  } else {
    o->hotX = static_cast<int>(info->xHotspot);
    o->hotY = static_cast<int>(info->yHotspot);
  }
  return Add(std::move(o));
}

BOOL GetIconInfo(HICON icon, ICONINFO* info) {
  IconObj* o = Find(icon);
  if (!o || !info) {
    SetLastError(ERROR_INVALID_ICON_HANDLE);
    return FALSE;
  }
  info->fIcon = o->icon ? TRUE : FALSE;
  info->xHotspot = static_cast<DWORD>(o->hotX);
  info->yHotspot = static_cast<DWORD>(o->hotY);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = o->width;
  bi.bmiHeader.biHeight = -o->height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  info->hbmColor = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (info->hbmColor && bits) std::memcpy(bits, o->pixels.data(), o->pixels.size() * 4);
  // The mask: 1 where the image is transparent.
  const size_t stride = ((static_cast<size_t>(o->width) + 15) / 16) * 2;
  std::vector<uint8_t> mask(stride * o->height, 0);
  for (int y = 0; y < o->height; ++y)
    for (int x = 0; x < o->width; ++x)
      if ((o->pixels[static_cast<size_t>(y) * o->width + x] >> 24) == 0)
        mask[y * stride + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
  info->hbmMask = CreateBitmap(o->width, o->height, 1, 1, mask.data());
  return TRUE;
}

BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT, HBRUSH flickerBrush,
                UINT flags) {
  IconObj* o = Find(icon);
  if (!o || !dc) return FALSE;
  if (width == 0)
    width = (flags & DI_DEFAULTSIZE) ? GetSystemMetrics(o->icon ? SM_CXICON : SM_CXCURSOR) : o->width;
  if (height == 0)
    height = (flags & DI_DEFAULTSIZE) ? GetSystemMetrics(o->icon ? SM_CYICON : SM_CYCURSOR) : o->height;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = o->width;
  bi.bmiHeader.biHeight = -o->height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bmp || !bits) return FALSE;
  std::memcpy(bits, o->pixels.data(), o->pixels.size() * 4);
  HDC src = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(src, bmp);
  if (flickerBrush) {
    RECT r{x, y, x + width, y + height};
    FillRect(dc, &r, flickerBrush);
  }
  BOOL ok;
  if ((flags & DI_NORMAL) == DI_MASK) {
    // The mask alone: black where the icon is opaque.
    std::vector<uint32_t> m(o->pixels.size());
    for (size_t i = 0; i < m.size(); ++i) m[i] = (o->pixels[i] >> 24) ? 0xFF000000u : 0x00FFFFFFu;
    std::memcpy(bits, m.data(), m.size() * 4);
    ok = StretchBlt(dc, x, y, width, height, src, 0, 0, o->width, o->height, SRCAND);
  } else {
    BLENDFUNCTION bf{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ok = AlphaBlend(dc, x, y, width, height, src, 0, 0, o->width, o->height, bf);
  }
  SelectObject(src, old);
  DeleteDC(src);
  DeleteObject(bmp);
  return ok;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
  return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}

}  // namespace qd
