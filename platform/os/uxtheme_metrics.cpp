// What the theme answers about its parts: sizes, margins, content rectangles, regions, hit
// tests, colours and the other properties, and the system metrics seen through the theme.
#include <algorithm>
#include <cstring>

#include "platform/base/mathutil.h"
#include "platform/os/kernel.h"
#include "platform/os/user.h"
#include "platform/os/uxtheme_internal.h"

namespace qd::theme {

namespace {

// The handle's data and the part; part 0 (the class itself) only where `classLevel`.
HRESULT Resolve(HTHEME theme, int partId, bool classLevel, ThemeData& t, const PartDef*& part) {
  part = nullptr;
  if (!LookupTheme(theme, t)) return E_HANDLE;
  if (partId == 0 && classLevel) return S_OK;
  part = t.cls->Part(partId);
  return part ? S_OK : E_INVALIDARG;
}

SIZE Scaled(SIZE s, UINT dpi) {
  return {ScaleMetric(s.cx, dpi), ScaleMetric(s.cy, dpi)};
}

// The rectangle a true-size part is drawn in, for a given rectangle (centred, shrunk to fit).
RECT DrawnRect(const PartDef& p, const RECT& r, UINT dpi) {
  if (p.sizingType != ST_TRUESIZE || p.trueSize.cx <= 0 || p.trueSize.cy <= 0) return r;
  double w = ScaleMetric(p.trueSize.cx, dpi), h = ScaleMetric(p.trueSize.cy, dpi);
  double k = std::min({1.0, std::max(0, r.Width()) / w, std::max(0, r.Height()) / h});
  int dw = static_cast<int>(w * k), dh = static_cast<int>(h * k);
  int l = r.Left + (r.Width() - dw) / 2, t = r.Top + (r.Height() - dh) / 2;
  return {l, t, l + dw, t + dh};
}

COLORREF Opaque(Argb c) {
  return ToColorRef(c);
}

// TMT_ colours of a part (or of the class when part is null).
bool PartColor(const PartDef* part, int state, int prop, Argb& out) {
  if (part) {
    auto it = part->extraColors.find(prop);
    if (it != part->extraColors.end()) {
      out = it->second;
      return true;
    }
  }
  Look l = part ? part->LookOf(state) : Look{0, 0, 0, pal::Text};
  switch (prop) {
    case TMT_BORDERCOLOR:
      out = l.border;
      return l.border != 0;
    case TMT_FILLCOLOR:
      out = l.fill;
      return l.fill != 0;
    case TMT_TEXTCOLOR:
      out = l.text;
      return true;
    case TMT_GLYPHTEXTCOLOR:
      out = l.glyph;
      return l.glyph != 0;
    case TMT_EDGELIGHTCOLOR:
      out = Rgb(227, 227, 227);
      return true;
    case TMT_EDGEHIGHLIGHTCOLOR:
      out = pal::Window;
      return true;
    case TMT_EDGESHADOWCOLOR:
      out = Rgb(160, 160, 160);
      return true;
    case TMT_EDGEDKSHADOWCOLOR:
      out = Rgb(105, 105, 105);
      return true;
    case TMT_EDGEFILLCOLOR:
      out = pal::Face;
      return true;
    case TMT_FILLCOLORHINT:
      out = l.fill ? l.fill : pal::Window;
      return true;
    case TMT_BORDERCOLORHINT:
      out = l.border ? l.border : pal::Border;
      return true;
    case TMT_ACCENTCOLORHINT:
      out = pal::Accent;
      return true;
    case TMT_TEXTCOLORHINT:
      out = l.text;
      return true;
    default:
      return false;
  }
}

bool PartInt(const PartDef& p, int state, int prop, int& out) {
  switch (prop) {
    case TMT_BORDERSIZE:
      out = p.LookOf(state).border ? 1 : 0;
      return true;
    case TMT_ROUNDCORNERWIDTH:
    case TMT_ROUNDCORNERHEIGHT:
      if (p.borderType != BT_ROUNDRECT || p.radius <= 0) return false;
      out = 2 * p.radius;
      return true;
    case TMT_WIDTH:
      out = p.trueSize.cx;
      return p.trueSize.cx > 0;
    case TMT_HEIGHT:
      out = p.trueSize.cy;
      return p.trueSize.cy > 0;
    case TMT_IMAGECOUNT:
      out = static_cast<int>(p.states.size());
      return true;
    case TMT_ALPHALEVEL:
      out = 255;
      return true;
    default:
      return false;
  }
}

}  // namespace

}  // namespace qd::theme

namespace qd {
using namespace theme;

BOOL IsThemePartDefined(HTHEME theme, int partId, int stateId) {
  ThemeData t;
  const PartDef* p = nullptr;
  if (FAILED(Resolve(theme, partId, false, t, p))) return FALSE;
  return stateId == 0 || (stateId >= 1 && stateId <= static_cast<int>(p->states.size())) ? TRUE : FALSE;
}

BOOL IsThemeBackgroundPartiallyTransparent(HTHEME theme, int partId, int stateId) {
  ThemeData t;
  const PartDef* p = nullptr;
  if (FAILED(Resolve(theme, partId, false, t, p))) return FALSE;
  Look l = p->LookOf(stateId);
  return p->transparent || (l.fill >> 24) != 0xFF ? TRUE : FALSE;
}

HRESULT GetThemePartSize(HTHEME theme, HDC dc, int partId, int stateId, const RECT* rect, THEMESIZE size,
                         SIZE* result) {
  if (!result) return E_POINTER;
  ThemeData t;
  const PartDef* p = nullptr;
  if (HRESULT hr = Resolve(theme, partId, false, t, p); FAILED(hr)) return hr;
  UINT dpi = EffectiveDpi(t, dc);
  SIZE minSize = Scaled(p->minSize, dpi);
  if (minSize.cx <= 0) minSize.cx = ScaleMetric(p->sizing.cxLeftWidth + p->sizing.cxRightWidth, dpi);
  if (minSize.cy <= 0) minSize.cy = ScaleMetric(p->sizing.cyTopHeight + p->sizing.cyBottomHeight, dpi);
  SIZE trueSize = Scaled(p->trueSize, dpi);
  if (trueSize.cx <= 0) trueSize.cx = minSize.cx;
  if (trueSize.cy <= 0) trueSize.cy = minSize.cy;
  switch (size) {
    case TS_MIN:
      *result = minSize;
      return S_OK;
    case TS_TRUE:
      *result = trueSize;
      return S_OK;
    case TS_DRAW:
      if (!rect) {
        *result = trueSize;
      } else if (p->sizingType == ST_TRUESIZE) {
        RECT d = DrawnRect(*p, *rect, dpi);
        *result = {d.Width(), d.Height()};
      } else {
        *result = {std::max(0, rect->Width()), std::max(0, rect->Height())};
      }
      return S_OK;
  }
  return E_INVALIDARG;
}

HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC dc, int partId, int stateId, const RECT* boundingRect,
                                      LPRECT contentRect) {
  if (!boundingRect || !contentRect) return E_POINTER;
  ThemeData t;
  const PartDef* p = nullptr;
  if (HRESULT hr = Resolve(theme, partId, false, t, p); FAILED(hr)) return hr;
  MARGINS m = ScaleMargins(p->content, EffectiveDpi(t, dc));
  RECT r{boundingRect->Left + m.cxLeftWidth, boundingRect->Top + m.cyTopHeight,
         boundingRect->Right - m.cxRightWidth, boundingRect->Bottom - m.cyBottomHeight};
  if (r.Right < r.Left) r.Right = r.Left;
  if (r.Bottom < r.Top) r.Bottom = r.Top;
  *contentRect = r;
  return S_OK;
}

HRESULT GetThemeBackgroundExtent(HTHEME theme, HDC dc, int partId, int stateId, const RECT* contentRect,
                                 LPRECT extentRect) {
  if (!contentRect || !extentRect) return E_POINTER;
  ThemeData t;
  const PartDef* p = nullptr;
  if (HRESULT hr = Resolve(theme, partId, false, t, p); FAILED(hr)) return hr;
  MARGINS m = ScaleMargins(p->content, EffectiveDpi(t, dc));
  *extentRect = {contentRect->Left - m.cxLeftWidth, contentRect->Top - m.cyTopHeight,
                 contentRect->Right + m.cxRightWidth, contentRect->Bottom + m.cyBottomHeight};
  return S_OK;
}

HRESULT GetThemeBackgroundRegion(HTHEME theme, HDC dc, int partId, int stateId, const RECT* rect,
                                 HRGN* region) {
  if (!rect || !region) return E_POINTER;
  *region = nullptr;
  ThemeData t;
  const PartDef* p = nullptr;
  if (HRESULT hr = Resolve(theme, partId, false, t, p); FAILED(hr)) return hr;
  UINT dpi = EffectiveDpi(t, dc);
  RECT r = DrawnRect(*p, *rect, dpi);
  switch (p->borderType) {
    case BT_ELLIPSE:
      *region = CreateEllipticRgn(r.Left, r.Top, r.Right, r.Bottom);
      break;
    case BT_ROUNDRECT: {
      int d = 2 * ScaleMetric(p->radius, dpi);
      *region = CreateRoundRectRgn(r.Left, r.Top, r.Right, r.Bottom, d, d);
      break;
    }
    default:
      *region = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
      break;
  }
  return *region ? S_OK : E_OUTOFMEMORY;
}

HRESULT HitTestThemeBackground(HTHEME theme, HDC dc, int partId, int stateId, DWORD options, const RECT* rect,
                               HRGN region, POINT test, WORD* hitTestCode) {
  if (!rect || !hitTestCode) return E_POINTER;
  ThemeData t;
  const PartDef* p = nullptr;
  if (HRESULT hr = Resolve(theme, partId, false, t, p); FAILED(hr)) return hr;
  *hitTestCode = static_cast<WORD>(HTNOWHERE);
  const RECT& r = *rect;
  if (test.X < r.Left || test.X >= r.Right || test.Y < r.Top || test.Y >= r.Bottom) return S_OK;
  if (region && !PtInRegion(region, test.X, test.Y)) return S_OK;
  if (!region && p->transparent && options == HTTB_BACKGROUNDSEG) {
    HRGN shape = nullptr;
    if (SUCCEEDED(GetThemeBackgroundRegion(theme, dc, partId, stateId, rect, &shape))) {
      bool inside = PtInRegion(shape, test.X, test.Y);
      DeleteObject(shape);
      if (!inside) return S_OK;
    }
  }
  UINT dpi = EffectiveDpi(t, dc);
  MARGINS m = ScaleMargins(p->sizing, dpi);
  if (options & HTTB_SYSTEMSIZINGMARGINS) {
    int fx = GetSystemMetricsForDpi(SM_CXSIZEFRAME, dpi), fy = GetSystemMetricsForDpi(SM_CYSIZEFRAME, dpi);
    m = {fx, fx, fy, fy};
  }
  bool left = test.X < r.Left + m.cxLeftWidth, right = test.X >= r.Right - m.cxRightWidth;
  bool top = test.Y < r.Top + m.cyTopHeight, bottom = test.Y >= r.Bottom - m.cyBottomHeight;
  if (options & HTTB_RESIZINGBORDER) {
    left = left && (options & HTTB_RESIZINGBORDER_LEFT);
    right = right && (options & HTTB_RESIZINGBORDER_RIGHT);
    top = top && (options & HTTB_RESIZINGBORDER_TOP);
    bottom = bottom && (options & HTTB_RESIZINGBORDER_BOTTOM);
    LRESULT code = HTNOWHERE;
    if (top)
      code = left ? HTTOPLEFT : (right ? HTTOPRIGHT : HTTOP);
    else if (bottom)
      code = left ? HTBOTTOMLEFT : (right ? HTBOTTOMRIGHT : HTBOTTOM);
    else if (left)
      code = HTLEFT;
    else if (right)
      code = HTRIGHT;
    if (code != HTNOWHERE) {
      *hitTestCode = static_cast<WORD>(code);
      return S_OK;
    }
  } else if ((options & HTTB_FIXEDBORDER) && (left || right || top || bottom)) {
    *hitTestCode = static_cast<WORD>(HTBORDER);
    return S_OK;
  }
  *hitTestCode = static_cast<WORD>((options & HTTB_CAPTION) ? HTCAPTION : HTCLIENT);
  return S_OK;
}

HRESULT GetThemeColor(HTHEME theme, int partId, int stateId, int propId, COLORREF* color) {
  if (!color) return E_POINTER;
  ThemeData t;
  const PartDef* p = nullptr;
  if (HRESULT hr = Resolve(theme, partId, true, t, p); FAILED(hr)) return hr;
  Argb c = 0;
  if (!PartColor(p, stateId, propId, c)) return E_PROP_ID_UNSUPPORTED;
  *color = Opaque(c);
  return S_OK;
}

HRESULT GetThemeInt(HTHEME theme, int partId, int stateId, int propId, int* value) {
  if (!value) return E_POINTER;
  ThemeData t;
  const PartDef* p = nullptr;
  if (HRESULT hr = Resolve(theme, partId, false, t, p); FAILED(hr)) return hr;
  return PartInt(*p, stateId, propId, *value) ? S_OK : E_PROP_ID_UNSUPPORTED;
}

HRESULT GetThemeMetric(HTHEME theme, HDC dc, int partId, int stateId, int propId, int* value) {
  if (!value) return E_POINTER;
  ThemeData t;
  const PartDef* p = nullptr;
  if (HRESULT hr = Resolve(theme, partId, false, t, p); FAILED(hr)) return hr;
  int v = 0;
  if (!PartInt(*p, stateId, propId, v)) return E_PROP_ID_UNSUPPORTED;
  bool isSize = propId != TMT_IMAGECOUNT && propId != TMT_ALPHALEVEL;
  *value = isSize ? ScaleMetric(v, EffectiveDpi(t, dc)) : v;
  return S_OK;
}

HRESULT GetThemeIntList(HTHEME theme, int partId, int, int, INTLIST* list) {
  if (!list) return E_POINTER;
  ThemeData t;
  const PartDef* p = nullptr;
  if (HRESULT hr = Resolve(theme, partId, true, t, p); FAILED(hr)) return hr;
  return E_PROP_ID_UNSUPPORTED;
}

HRESULT GetThemeBool(HTHEME theme, int partId, int stateId, int propId, BOOL* value) {
  if (!value) return E_POINTER;
  ThemeData t;
  const PartDef* p = nullptr;
  if (HRESULT hr = Resolve(theme, partId, false, t, p); FAILED(hr)) return hr;
  switch (propId) {
    case TMT_TRANSPARENT:
      *value = IsThemeBackgroundPartiallyTransparent(theme, partId, stateId);
      return S_OK;
    case TMT_BORDERONLY:
      *value = p->borderOnly ? TRUE : FALSE;
      return S_OK;
    case TMT_AUTOSIZE:
    case TMT_MIRRORIMAGE:
    case TMT_UNIFORMSIZING:
    case TMT_INTEGRALSIZING:
    case TMT_BGFILL:
    case TMT_GLYPHTRANSPARENT:
    case TMT_GLYPHONLY:
    case TMT_COMPOSITED:
      *value = FALSE;
      return S_OK;
    case TMT_SOURCEGROW:
    case TMT_SOURCESHRINK:
      *value = TRUE;
      return S_OK;
    default:
      return E_PROP_ID_UNSUPPORTED;
  }
}

HRESULT GetThemeEnumValue(HTHEME theme, int partId, int, int propId, int* value) {
  if (!value) return E_POINTER;
  ThemeData t;
  const PartDef* p = nullptr;
  if (HRESULT hr = Resolve(theme, partId, false, t, p); FAILED(hr)) return hr;
  bool trueSize = p->sizingType == ST_TRUESIZE;
  switch (propId) {
    case TMT_BGTYPE:
      *value = trueSize ? BT_IMAGEFILE : BT_BORDERFILL;
      return S_OK;
    case TMT_BORDERTYPE:
      *value = p->borderType;
      return S_OK;
    case TMT_FILLTYPE:
      *value = FT_SOLID;
      return S_OK;
    case TMT_SIZINGTYPE:
      *value = p->sizingType;
      return S_OK;
    case TMT_HALIGN:
      *value = trueSize ? HA_CENTER : HA_LEFT;
      return S_OK;
    case TMT_VALIGN:
      *value = trueSize ? VA_CENTER : VA_TOP;
      return S_OK;
    case TMT_CONTENTALIGNMENT:
      *value = (t.cls->name == "Button" && (p->id == BP_PUSHBUTTON || p->id == BP_USERBUTTON)) ? CA_CENTER
                                                                                               : CA_LEFT;
      return S_OK;
    case TMT_OFFSETTYPE:
      *value = OT_TOPLEFT;
      return S_OK;
    case TMT_ICONEFFECT:
      *value = ICE_NONE;
      return S_OK;
    case TMT_TEXTSHADOWTYPE:
      *value = TST_NONE;
      return S_OK;
    case TMT_GLYPHTYPE:
      *value = GT_NONE;
      return S_OK;
    case TMT_IMAGESELECTTYPE:
      *value = trueSize ? IST_DPI : IST_NONE;
      return S_OK;
    case TMT_TRUESIZESCALINGTYPE:
      *value = trueSize ? TSST_DPI : TSST_NONE;
      return S_OK;
    case TMT_GLYPHFONTSIZINGTYPE:
      *value = GFST_NONE;
      return S_OK;
    default:
      return E_PROP_ID_UNSUPPORTED;
  }
}

HRESULT GetThemeMargins(HTHEME theme, HDC, int partId, int, int propId, const RECT*, MARGINS* margins) {
  if (!margins) return E_POINTER;
  ThemeData t;
  const PartDef* p = nullptr;
  if (HRESULT hr = Resolve(theme, partId, false, t, p); FAILED(hr)) return hr;
  MARGINS m;
  switch (propId) {
    case TMT_SIZINGMARGINS:
      m = p->sizing;
      break;
    case TMT_CONTENTMARGINS:
    case TMT_CAPTIONMARGINS:
      m = p->content;
      break;
    default:
      return E_PROP_ID_UNSUPPORTED;
  }
  // The theme's own values, at 96 DPI unless the handle was opened for a DPI.
  *margins = t.dpi ? ScaleMargins(m, t.dpi) : m;
  return S_OK;
}

HRESULT GetThemePosition(HTHEME theme, int partId, int, int propId, POINT* point) {
  if (!point) return E_POINTER;
  ThemeData t;
  const PartDef* p = nullptr;
  if (HRESULT hr = Resolve(theme, partId, false, t, p); FAILED(hr)) return hr;
  switch (propId) {
    case TMT_OFFSET:
      *point = {0, 0};
      return S_OK;
    case TMT_MINSIZE:
      if (p->minSize.cx <= 0 && p->minSize.cy <= 0) return E_PROP_ID_UNSUPPORTED;
      *point = {p->minSize.cx, p->minSize.cy};
      return S_OK;
    case TMT_NORMALSIZE:
      if (p->trueSize.cx <= 0 && p->trueSize.cy <= 0) return E_PROP_ID_UNSUPPORTED;
      *point = {p->trueSize.cx, p->trueSize.cy};
      return S_OK;
    default:
      return E_PROP_ID_UNSUPPORTED;
  }
}

HRESULT GetThemeRect(HTHEME theme, int partId, int, int, LPRECT rect) {
  if (!rect) return E_POINTER;
  ThemeData t;
  const PartDef* p = nullptr;
  if (HRESULT hr = Resolve(theme, partId, true, t, p); FAILED(hr)) return hr;
  return E_PROP_ID_UNSUPPORTED;
}

HRESULT GetThemeFont(HTHEME theme, HDC dc, int partId, int, int propId, LOGFONTW* font) {
  if (!font) return E_POINTER;
  ThemeData t;
  const PartDef* p = nullptr;
  if (HRESULT hr = Resolve(theme, partId, true, t, p); FAILED(hr)) return hr;
  if (propId != TMT_FONT) return E_PROP_ID_UNSUPPORTED;
  UINT dpi = EffectiveDpi(t, dc);
  int points = p && p->fontPoints ? p->fontPoints : 9;
  LOGFONTW lf;
  lf.lfHeight = -MulDiv(points, static_cast<int>(dpi), 72);
  lf.lfWeight = p ? p->fontWeight : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  const char16_t face[] = u"Segoe UI";
  std::copy(std::begin(face), std::end(face), lf.lfFaceName);
  *font = lf;
  return S_OK;
}

HRESULT GetThemeString(HTHEME theme, int partId, int, int, LPWSTR buffer, int maxChars) {
  if (!buffer) return E_POINTER;
  if (maxChars > 0) buffer[0] = 0;
  ThemeData t;
  const PartDef* p = nullptr;
  if (HRESULT hr = Resolve(theme, partId, true, t, p); FAILED(hr)) return hr;
  return E_PROP_ID_UNSUPPORTED;
}

// Parts are drawn, not taken from image files.
HRESULT GetThemeFilename(HTHEME theme, int partId, int, int, LPWSTR buffer, int maxChars) {
  if (!buffer) return E_POINTER;
  if (maxChars > 0) buffer[0] = 0;
  ThemeData t;
  const PartDef* p = nullptr;
  if (HRESULT hr = Resolve(theme, partId, true, t, p); FAILED(hr)) return hr;
  return E_PROP_ID_UNSUPPORTED;
}

HRESULT GetThemePropertyOrigin(HTHEME theme, int partId, int stateId, int propId, PROPERTYORIGIN* origin) {
  if (!origin) return E_POINTER;
  ThemeData t;
  const PartDef* p = nullptr;
  if (HRESULT hr = Resolve(theme, partId, true, t, p); FAILED(hr)) return hr;
  bool found = false;
  Argb c = 0;
  int i = 0;
  BOOL b = FALSE;
  MARGINS m;
  POINT pt;
  LOGFONTW lf;
  if (propId >= TMT_BORDERCOLOR && propId <= TMT_BODYTEXTCOLOR)
    found = PartColor(p, stateId, propId, c);
  else if (!p)
    found = propId == TMT_FONT;
  else
    found = PartInt(*p, stateId, propId, i) || SUCCEEDED(GetThemeBool(theme, partId, stateId, propId, &b)) ||
            SUCCEEDED(GetThemeEnumValue(theme, partId, stateId, propId, &i)) ||
            SUCCEEDED(GetThemeMargins(theme, nullptr, partId, stateId, propId, nullptr, &m)) ||
            SUCCEEDED(GetThemePosition(theme, partId, stateId, propId, &pt)) ||
            SUCCEEDED(GetThemeFont(theme, nullptr, partId, stateId, propId, &lf));
  if (!found)
    *origin = PO_NOTFOUND;
  else if (!p)
    *origin = PO_CLASS;
  else if (stateId > 0 && p->states.size() > 1)
    *origin = PO_STATE;
  else
    *origin = PO_PART;
  return S_OK;
}

// ---- System metrics through the theme ----------------------------------------------------------

namespace {
int SysColorIndex(int colorId) {
  return colorId >= TMT_FIRSTCOLOR && colorId <= TMT_LASTCOLOR ? colorId - TMT_FIRSTCOLOR : colorId;
}
UINT SysDpi(HTHEME theme) {
  ThemeData t;
  if (theme && LookupTheme(theme, t) && t.dpi) return t.dpi;
  UINT dpi = GetDpiForSystem();
  return dpi ? dpi : 96;
}
}  // namespace

COLORREF GetThemeSysColor(HTHEME, int colorId) {
  return GetSysColor(SysColorIndex(colorId));
}

HBRUSH GetThemeSysColorBrush(HTHEME, int colorId) {
  return GetSysColorBrush(SysColorIndex(colorId));
}

HRESULT GetThemeSysFont(HTHEME theme, int fontId, LOGFONTW* font) {
  if (!font) return E_POINTER;
  UINT dpi = SysDpi(theme);
  if (fontId == TMT_ICONTITLEFONT) {
    return SystemParametersInfoForDpi(SPI_GETICONTITLELOGFONT, sizeof(LOGFONTW), font, 0, dpi) ? S_OK
                                                                                               : E_FAIL;
  }
  NONCLIENTMETRICSW ncm;
  if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0, dpi)) return E_FAIL;
  switch (fontId) {
    case TMT_CAPTIONFONT:
      *font = ncm.lfCaptionFont;
      return S_OK;
    case TMT_SMALLCAPTIONFONT:
      *font = ncm.lfSmCaptionFont;
      return S_OK;
    case TMT_MENUFONT:
      *font = ncm.lfMenuFont;
      return S_OK;
    case TMT_STATUSFONT:
      *font = ncm.lfStatusFont;
      return S_OK;
    case TMT_MSGBOXFONT:
      *font = ncm.lfMessageFont;
      return S_OK;
    default:
      return E_INVALIDARG;
  }
}

int GetThemeSysSize(HTHEME theme, int sizeId) {
  static const std::pair<int, int> fromTmt[] = {
      {TMT_SIZINGBORDERWIDTH, SM_CXSIZEFRAME}, {TMT_SCROLLBARWIDTH, SM_CXVSCROLL},
      {TMT_SCROLLBARHEIGHT, SM_CYHSCROLL},     {TMT_CAPTIONBARWIDTH, SM_CXSIZE},
      {TMT_CAPTIONBARHEIGHT, SM_CYSIZE},       {TMT_SMCAPTIONBARWIDTH, SM_CXSMSIZE},
      {TMT_SMCAPTIONBARHEIGHT, SM_CYSMSIZE},   {TMT_MENUBARWIDTH, SM_CXMENUSIZE},
      {TMT_MENUBARHEIGHT, SM_CYMENUSIZE},      {TMT_PADDEDBORDERWIDTH, SM_CXPADDEDBORDER}};
  int metric = -1;
  for (const auto& [tmt, sm] : fromTmt)
    if (sizeId == tmt) metric = sm;
  static const int allowed[] = {SM_CXBORDER,       SM_CYBORDER,    SM_CXVSCROLL,  SM_CYVSCROLL,
                                SM_CXHSCROLL,      SM_CYHSCROLL,   SM_CXSIZE,     SM_CYSIZE,
                                SM_CXSMSIZE,       SM_CYSMSIZE,    SM_CXMENUSIZE, SM_CYMENUSIZE,
                                SM_CXPADDEDBORDER, SM_CXSIZEFRAME, SM_CYSIZEFRAME};
  if (metric < 0)
    for (int sm : allowed)
      if (sizeId == sm) metric = sm;
  if (metric < 0) {
    SetLastError(static_cast<DWORD>(E_INVALIDARG));
    return 0;
  }
  return GetSystemMetricsForDpi(metric, SysDpi(theme));
}

HRESULT GetThemeSysInt(HTHEME, int intId, int* value) {
  if (!value) return E_POINTER;
  if (intId != TMT_MINCOLORDEPTH) return E_PROP_ID_UNSUPPORTED;
  *value = 16;
  return S_OK;
}

BOOL GetThemeSysBool(HTHEME, int boolId) {
  if (boolId == TMT_FLATMENUS) {
    BOOL flat = FALSE;
    SystemParametersInfoW(SPI_GETFLATMENU, 0, &flat, 0);
    return flat ? TRUE : FALSE;
  }
  SetLastError(static_cast<DWORD>(E_PROP_ID_UNSUPPORTED));
  return FALSE;
}

HRESULT GetThemeSysString(HTHEME, int, LPWSTR buffer, int maxChars) {
  if (!buffer) return E_POINTER;
  if (maxChars > 0) buffer[0] = 0;
  return E_PROP_ID_UNSUPPORTED;
}

}  // namespace qd
