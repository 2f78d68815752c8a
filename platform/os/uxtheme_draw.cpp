// Drawing with the theme: part backgrounds, themed text, edges and the parent's background.
// Parts are rendered in device pixels into a premultiplied buffer and blended onto the
// device context, which keeps its clip, origins and transform.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/base/mathutil.h"
#include "platform/os/kernel.h"
#include "platform/os/user.h"
#include "platform/os/uxtheme_internal.h"
#include "platform/os/uxtheme_testing.h"

namespace qd::theme {

namespace {

enum RecordKind { kBackground = 0, kText = 1, kEdge = 2, kIcon = 3, kParentBackground = 4 };

RECT Normalized(const RECT& r) {
  return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
          std::max(r.Top, r.Bottom)};
}

bool ToDevice(HDC dc, const RECT& r, RECT& out) {
  POINT p[2] = {{r.Left, r.Top}, {r.Right, r.Bottom}};
  if (!LPtoDP(dc, p, 2)) return false;
  out = Normalized({p[0].X, p[0].Y, p[1].X, p[1].Y});
  return true;
}

// A 32-bit top-down DIB section selected into a memory DC.
struct Buffer {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  uint32_t* bits = nullptr;
  int w = 0, h = 0;
  Buffer(int width, int height) : w(width), h(height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    dc = CreateCompatibleDC(nullptr);
    void* p = nullptr;
    bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    bits = static_cast<uint32_t*>(p);
    if (bitmap) old = SelectObject(dc, bitmap);
  }
  ~Buffer() {
    if (old) SelectObject(dc, old);
    if (bitmap) DeleteObject(bitmap);
    if (dc) DeleteDC(dc);
  }
  Buffer(const Buffer&) = delete;
  Buffer& operator=(const Buffer&) = delete;
  bool Ok() const { return dc && bitmap && bits; }
};

// Blends a premultiplied buffer onto `dc` at device position (x, y), through the DC's clip.
void BlendAtDevice(HDC dc, int x, int y, Buffer& b) {
  int saved = SaveDC(dc);
  if (GetGraphicsMode(dc) == GM_ADVANCED) ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
  SetMapMode(dc, MM_TEXT);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, x, y, b.w, b.h, b.dc, 0, 0, b.w, b.h, blend);
  RestoreDC(dc, saved);
}

}  // namespace

HRESULT PaintWith(HDC dc, const RECT& rect, const RECT* clip, UINT dpi,
                  const std::function<void(PaintCtx&)>& paint, const Look& look, int state, DWORD options) {
  if (rect.Right <= rect.Left || rect.Bottom <= rect.Top) return S_OK;
  RECT dev;
  if (!ToDevice(dc, rect, dev)) return E_HANDLE;
  if (dev.IsEmpty()) return S_OK;
  RECT area = dev;
  if (clip) {
    RECT c;
    if (ToDevice(dc, Normalized(*clip), c)) area = RectIntersection(area, c);
  }
  RECT box;
  int kind = GetClipBox(dc, &box);
  if (kind == NULLREGION) return S_OK;
  if (kind != ERROR) {
    RECT c;
    if (ToDevice(dc, box, c)) area = RectIntersection(area, c);
  }
  if (area.IsEmpty()) return S_OK;
  Buffer buffer(area.Width(), area.Height());
  if (!buffer.Ok()) return E_OUTOFMEMORY;
  double sx = static_cast<double>(dev.Width()) / rect.Width();
  double sy = static_cast<double>(dev.Height()) / rect.Height();
  Canvas canvas(buffer.bits, buffer.w, buffer.w, buffer.h, area.Left - dev.Left, area.Top - dev.Top);
  PaintCtx ctx{canvas};
  ctx.r = {0, 0, static_cast<float>(dev.Width()), static_cast<float>(dev.Height())};
  ctx.s = static_cast<float>(dpi / 96.0 * (sx + sy) / 2);
  ctx.state = state;
  ctx.look = look;
  ctx.omitBorder = (options & DTBG_OMITBORDER) != 0;
  ctx.omitContent = (options & DTBG_OMITCONTENT) != 0;
  paint(ctx);
  BlendAtDevice(dc, area.Left, area.Top, buffer);
  return S_OK;
}

HRESULT PaintPart(const ThemeData& t, const PartDef& part, HDC dc, int state, const RECT& rect,
                  const RECT* clip, DWORD options) {
  UINT dpi = EffectiveDpi(t, dc);
  if (SyntheticLook()) {
    Argb c = FromColorRef(os::ThemeSyntheticColor(t.className, part.id, state));
    return PaintWith(
        dc, rect, clip, dpi, [c](PaintCtx& p) { p.c.FillRect(p.r, c); }, Look{}, state, 0);
  }
  return PaintWith(dc, rect, clip, dpi, part.paint, part.LookOf(state), state, options);
}

namespace {

String TextOf(LPCWSTR text, int count) {
  if (!text) return {};
  if (count < 0) return String(text);
  return String(text, static_cast<size_t>(count));
}

// The font a part writes with: its own, the one a DTTOPTS property names, or the DC's.
HFONT PartFont(HTHEME theme, HDC dc, const PartDef* part, int state, const DTTOPTS* options) {
  LOGFONTW lf;
  if (options && (options->dwFlags & DTT_FONTPROP)) {
    if (SUCCEEDED(GetThemeFont(theme, dc, part ? part->id : 0, state, options->iFontPropId, &lf)))
      return CreateFontIndirectW(&lf);
    return nullptr;
  }
  if (part && part->fontPoints && SUCCEEDED(GetThemeFont(theme, dc, part->id, state, TMT_FONT, &lf)))
    return CreateFontIndirectW(&lf);
  return nullptr;
}

struct FontScope {
  HDC dc;
  HFONT font;
  HGDIOBJ old = nullptr;
  FontScope(HDC d, HFONT f) : dc(d), font(f) {
    if (font) old = SelectObject(dc, font);
  }
  ~FontScope() {
    if (old) SelectObject(dc, old);
    if (font) DeleteObject(font);
  }
};

// Text with real alpha: drawn white on black into a buffer whose coverage becomes the alpha of
// the colour, then blended on.
void DrawCompositedText(HDC dc, const String& text, RECT rect, UINT format, COLORREF color) {
  RECT r = Normalized(rect);
  if (r.IsEmpty() || text.empty()) return;
  Buffer b(r.Width(), r.Height());
  if (!b.Ok()) return;
  HGDIOBJ oldFont = SelectObject(b.dc, GetCurrentObject(dc, OBJ_FONT));
  SetTextColor(b.dc, RGB(255, 255, 255));
  SetBkMode(b.dc, TRANSPARENT);
  SetWindowOrgEx(b.dc, r.Left, r.Top, nullptr);
  String copy = text;
  DrawTextW(b.dc, copy.data(), static_cast<int>(copy.size()), &r, format & ~DT_CALCRECT);
  SelectObject(b.dc, oldFont);
  uint32_t cr = GetRValue(color), cg = GetGValue(color), cb = GetBValue(color);
  for (int i = 0; i < b.w * b.h; ++i) {
    uint32_t v = b.bits[i];
    uint32_t cov = std::max({(v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF});
    b.bits[i] = cov == 0 ? 0
                         : (cov << 24) | (((cr * cov + 127) / 255) << 16) | (((cg * cov + 127) / 255) << 8) |
                               ((cb * cov + 127) / 255);
  }
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  // The buffer's origin is still the rectangle's corner.
  AlphaBlend(dc, r.Left, r.Top, r.Width(), r.Height(), b.dc, r.Left, r.Top, b.w, b.h, blend);
}

void EdgeLines(PaintCtx& p, const RectF& r, unsigned sides, Argb topLeft, Argb bottomRight) {
  float w = p.Bw();
  if (sides & BF_TOP) p.c.FillRect({r.l, r.t, r.r, r.t + w}, topLeft);
  if (sides & BF_LEFT) p.c.FillRect({r.l, r.t, r.l + w, r.b}, topLeft);
  if (sides & BF_BOTTOM) p.c.FillRect({r.l, r.b - w, r.r, r.b}, bottomRight);
  if (sides & BF_RIGHT) p.c.FillRect({r.r - w, r.t, r.r, r.b}, bottomRight);
}

}  // namespace

}  // namespace qd::theme

namespace qd {
using namespace theme;

HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int partId, int stateId, const RECT* rect,
                            const RECT* clipRect) {
  ThemeData t;
  if (!LookupTheme(theme, t)) return E_HANDLE;
  if (!dc) return E_HANDLE;
  if (!rect) return E_POINTER;
  const PartDef* part = t.cls->Part(partId);
  if (!part) return E_INVALIDARG;
  Record(kBackground, t, partId, stateId, *rect, clipRect, {});
  return PaintPart(t, *part, dc, stateId, *rect, clipRect, 0);
}

HRESULT DrawThemeBackgroundEx(HTHEME theme, HDC dc, int partId, int stateId, const RECT* rect,
                              const DTBGOPTS* options) {
  if (!options) return DrawThemeBackground(theme, dc, partId, stateId, rect, nullptr);
  ThemeData t;
  if (!LookupTheme(theme, t)) return E_HANDLE;
  if (!dc) return E_HANDLE;
  if (!rect) return E_POINTER;
  if (options->dwSize != sizeof(DTBGOPTS)) return E_INVALIDARG;
  const PartDef* part = t.cls->Part(partId);
  if (!part) return E_INVALIDARG;
  const RECT* clip = (options->dwFlags & DTBG_CLIPRECT) ? &options->rcClip : nullptr;
  Record(kBackground, t, partId, stateId, *rect, clip, {});
  return PaintPart(t, *part, dc, stateId, *rect, clip, options->dwFlags);
}

HRESULT DrawThemeTextEx(HTHEME theme, HDC dc, int partId, int stateId, LPCWSTR text, int count,
                        DWORD textFlags, LPRECT rect, const DTTOPTS* options) {
  ThemeData t;
  if (!LookupTheme(theme, t)) return E_HANDLE;
  if (!dc) return E_HANDLE;
  if (!text || !rect) return E_POINTER;
  if (options && options->dwSize != sizeof(DTTOPTS)) return E_INVALIDARG;
  const PartDef* part = nullptr;
  if (partId != 0) {
    part = t.cls->Part(partId);
    if (!part) return E_INVALIDARG;
  }
  DWORD flags = options ? options->dwFlags : 0;
  int state = (flags & DTT_STATEID) ? options->iStateId : stateId;
  String s = TextOf(text, count);
  Record(kText, t, partId, stateId, *rect, nullptr, s);

  COLORREF color = ToColorRef(part ? part->LookOf(state).text : pal::Text);
  if (flags & DTT_COLORPROP) {
    COLORREF c;
    if (SUCCEEDED(GetThemeColor(theme, partId, state, options->iColorPropId, &c))) color = c;
  }
  if (flags & DTT_TEXTCOLOR) color = options->crText & 0xFFFFFF;

  FontScope font(dc, PartFont(theme, dc, part, state, options));
  if ((flags & DTT_CALCRECT) || (textFlags & DT_CALCRECT)) {
    DrawTextW(dc, s.data(), static_cast<int>(s.size()), rect, textFlags | DT_CALCRECT);
    return S_OK;
  }
  if (s.empty()) return S_OK;
  if (flags & DTT_COMPOSITED) {
    DrawCompositedText(dc, s, *rect, textFlags, color);
    return S_OK;
  }
  COLORREF oldColor = SetTextColor(dc, color);
  int oldMode = SetBkMode(dc, TRANSPARENT);
  RECT r = *rect;
  if ((flags & DTT_CALLBACK) && options->pfnDrawTextCallback)
    options->pfnDrawTextCallback(dc, s.data(), static_cast<int>(s.size()), &r, textFlags, options->lParam);
  else
    DrawTextW(dc, s.data(), static_cast<int>(s.size()), &r, textFlags);
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldColor);
  return S_OK;
}

HRESULT DrawThemeText(HTHEME theme, HDC dc, int partId, int stateId, LPCWSTR text, int count, DWORD textFlags,
                      DWORD textFlags2, const RECT* rect) {
  if (!rect) return E_POINTER;
  RECT r = *rect;
  if (textFlags2 & DTT_GRAYED) {
    DTTOPTS o;
    o.dwFlags = DTT_TEXTCOLOR;
    o.crText = ToColorRef(pal::TextDisabled);
    return DrawThemeTextEx(theme, dc, partId, stateId, text, count, textFlags & ~DT_CALCRECT, &r, &o);
  }
  return DrawThemeTextEx(theme, dc, partId, stateId, text, count, textFlags & ~DT_CALCRECT, &r, nullptr);
}

HRESULT DrawThemeEdge(HTHEME theme, HDC dc, int partId, int stateId, const RECT* destRect, UINT edge,
                      UINT flags, LPRECT contentRect) {
  ThemeData t;
  if (!LookupTheme(theme, t)) return E_HANDLE;
  if (!dc) return E_HANDLE;
  if (!destRect) return E_POINTER;
  if (partId != 0 && !t.cls->Part(partId)) return E_INVALIDARG;
  Record(kEdge, t, partId, stateId, *destRect, nullptr, {});
  auto color = [&](int prop) {
    COLORREF c = 0;
    GetThemeColor(theme, partId, stateId, prop, &c);
    return FromColorRef(c);
  };
  Argb light = color(TMT_EDGELIGHTCOLOR), highlight = color(TMT_EDGEHIGHLIGHTCOLOR),
       shadow = color(TMT_EDGESHADOWCOLOR), dkShadow = color(TMT_EDGEDKSHADOWCOLOR),
       fill = color(TMT_EDGEFILLCOLOR);
  UINT outer = edge & BDR_OUTER, inner = edge & BDR_INNER;
  unsigned sides = flags & BF_RECT;
  UINT dpi = EffectiveDpi(t, dc);
  auto paint = [=](PaintCtx& p) {
    RectF r = p.r;
    if (flags & BF_DIAGONAL) {
      PointF a{r.l, r.b}, b{r.r, r.t};
      if ((flags & BF_DIAGONAL_ENDTOPLEFT) == BF_DIAGONAL_ENDTOPLEFT) a = {r.r, r.b}, b = {r.l, r.t};
      if ((flags & BF_DIAGONAL_ENDBOTTOMLEFT) == BF_DIAGONAL_ENDBOTTOMLEFT) a = {r.r, r.t}, b = {r.l, r.b};
      if ((flags & BF_DIAGONAL_ENDBOTTOMRIGHT) == BF_DIAGONAL_ENDBOTTOMRIGHT) a = {r.l, r.t}, b = {r.r, r.b};
      p.c.Line(a, b, p.Bw(), (edge & (BDR_RAISEDOUTER | BDR_RAISEDINNER)) ? shadow : highlight);
      return;
    }
    if (flags & BF_MIDDLE) p.c.FillRect(r, fill);
    float w = p.Bw();
    if (flags & (BF_MONO | BF_FLAT)) {
      Argb c = (flags & BF_MONO) ? dkShadow : shadow;
      if (outer) EdgeLines(p, r, sides, c, c), r = r.Inset(w);
      if (inner) EdgeLines(p, r, sides, (flags & BF_MONO) ? c : fill, (flags & BF_MONO) ? c : fill);
      return;
    }
    if (outer) {
      bool raised = outer & BDR_RAISEDOUTER;
      EdgeLines(p, r, sides, raised ? light : shadow, raised ? dkShadow : highlight);
      r = r.Inset(w);
    }
    if (inner) {
      bool raised = inner & BDR_RAISEDINNER;
      EdgeLines(p, r, sides, raised ? highlight : dkShadow, raised ? shadow : light);
    }
  };
  HRESULT hr = PaintWith(dc, *destRect, nullptr, dpi, paint, Look{}, stateId, 0);
  if (contentRect && (flags & BF_ADJUST)) {
    // Each border is as wide as drawn (PaintCtx::Px of one pixel).
    int line = std::max(1, static_cast<int>(std::floor(dpi / 96.0 + 0.25)));
    int w = line * ((outer ? 1 : 0) + (inner ? 1 : 0));
    if (flags & BF_DIAGONAL) w = 0;
    RECT c = *destRect;
    if (sides & BF_LEFT) c.Left += w;
    if (sides & BF_TOP) c.Top += w;
    if (sides & BF_RIGHT) c.Right -= w;
    if (sides & BF_BOTTOM) c.Bottom -= w;
    *contentRect = c;
  }
  return hr;
}

HRESULT DrawThemeIcon(HTHEME theme, HDC dc, int partId, int stateId, const RECT* rect, void*, int) {
  ThemeData t;
  if (!LookupTheme(theme, t)) return E_HANDLE;
  if (!dc) return E_HANDLE;
  if (!rect) return E_POINTER;
  Record(kIcon, t, partId, stateId, *rect, nullptr, {});
  return E_NOTIMPL;
}

HRESULT DrawThemeParentBackgroundEx(HWND hwnd, HDC dc, DWORD flags, const RECT* rect) {
  if (!IsWindow(hwnd)) return E_HANDLE;
  if (!dc) return E_HANDLE;
  HWND parent = GetAncestor(hwnd, GA_PARENT);
  if (!parent || parent == GetDesktopWindow()) return S_FALSE;
  {
    ThemeData none;
    RECT r = rect ? *rect : RECT{};
    Record(kParentBackground, none, 0, 0, r, nullptr, {});
  }
  // Where the DC's origin lies in the parent's client area.
  POINT origin{0, 0};
  if (flags & DTPB_WINDOWDC) {
    RECT wr;
    GetWindowRect(hwnd, &wr);
    origin = {wr.Left, wr.Top};
    ScreenToClient(parent, &origin);
  } else {
    MapWindowPoints(hwnd, parent, &origin, 1);
  }
  int saved = SaveDC(dc);
  if (rect) IntersectClipRect(dc, rect->Left, rect->Top, rect->Right, rect->Bottom);
  OffsetWindowOrgEx(dc, origin.X, origin.Y, nullptr);
  if (flags & DTPB_USECTLCOLORSTATIC) {
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
        parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
    RECT client;
    if (brush && GetClientRect(parent, &client)) FillRect(dc, &client, brush);
  } else {
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    if (!(flags & DTPB_USEERASEBKGND))
      SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  }
  RestoreDC(dc, saved);
  return S_OK;
}

HRESULT DrawThemeParentBackground(HWND hwnd, HDC dc, const RECT* rect) {
  return DrawThemeParentBackgroundEx(hwnd, dc, 0, rect);
}

HRESULT GetThemeTextExtent(HTHEME theme, HDC dc, int partId, int stateId, LPCWSTR text, int count,
                           DWORD textFlags, const RECT* boundingRect, LPRECT extentRect) {
  ThemeData t;
  if (!LookupTheme(theme, t)) return E_HANDLE;
  if (!dc) return E_HANDLE;
  if (!text || !extentRect) return E_POINTER;
  const PartDef* part = partId ? t.cls->Part(partId) : nullptr;
  if (partId && !part) return E_INVALIDARG;
  FontScope font(dc, PartFont(theme, dc, part, stateId, nullptr));
  String s = TextOf(text, count);
  RECT r = boundingRect ? *boundingRect : RECT{0, 0, 0, 0};
  DrawTextW(dc, s.data(), static_cast<int>(s.size()), &r, textFlags | DT_CALCRECT);
  *extentRect = r;
  return S_OK;
}

HRESULT GetThemeTextMetrics(HTHEME theme, HDC dc, int partId, int stateId, TEXTMETRICW* metrics) {
  ThemeData t;
  if (!LookupTheme(theme, t)) return E_HANDLE;
  if (!dc) return E_HANDLE;
  if (!metrics) return E_POINTER;
  const PartDef* part = partId ? t.cls->Part(partId) : nullptr;
  if (partId && !part) return E_INVALIDARG;
  FontScope font(dc, PartFont(theme, dc, part, stateId, nullptr));
  return GetTextMetricsW(dc, metrics) ? S_OK : E_FAIL;
}

}  // namespace qd
