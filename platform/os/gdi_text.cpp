// Text output and measuring: TextOut, ExtTextOut, extents, tabbed text and character placement.
#include "platform/os/gdi_text.h"

#include <algorithm>
#include <cmath>

#include "platform/os/gdi_draw.h"
#include "platform/os/gdi_region.h"
#include "platform/os/gdi_metafile.h"

namespace qd::gdi {

std::vector<int32_t> TextAdvances(const Dc& dc, FontFace& face, const char16_t* s, size_t n, bool rtl,
                                  ShapedText* shaped) {
  std::vector<int32_t> adv(n, 0);
  // The common case: every unit a simple character the face has.
  bool simple = !rtl && !(dc.s.textAlign & TA_RTLREADING);
  for (size_t i = 0; simple && i < n; ++i) {
    char16_t c = s[i];
    if (!SimpleUnit(c)) {
      simple = false;
      break;
    }
    const Glyph& g = face.GlyphFor(c);
    if (g.index == 0 && !Invisible(c)) simple = false;
    adv[i] = g.advance;
  }
  if (!simple) {
    ShapedText st = ShapeText(face, s, n, rtl || (dc.s.textAlign & TA_RTLREADING));
    for (size_t i = 0; i < n; ++i) adv[i] = static_cast<int32_t>(st.advance[i]);
    if (shaped) *shaped = std::move(st);
  }
  const char16_t breakChar = static_cast<char16_t>(face.Metrics().tmBreakChar);
  int breaks = 0;
  for (size_t i = 0; i < n; ++i) breaks += s[i] == breakChar;
  int extra = dc.s.breakCount > 0 ? dc.s.breakExtra : 0;
  int perBreak = breaks ? extra / std::max(breaks, 1) : 0, rest = breaks ? extra % std::max(breaks, 1) : 0;
  for (size_t i = 0; i < n; ++i) {
    // Character extra goes to characters, not to the marks and second units that carry none.
    if (!Invisible(s[i]) && (simple || adv[i] > 0)) adv[i] += dc.s.charExtra;
    if (breaks && s[i] == breakChar) {
      adv[i] += perBreak + (rest > 0 ? 1 : 0);
      if (rest > 0) --rest;
    }
  }
  return adv;
}

namespace {

int32_t Coord(double v) {
  if (!(v > -kCoordLimit)) return -kCoordLimit;
  if (!(v < kCoordLimit)) return kCoordLimit;
  return static_cast<int32_t>(std::lround(v));
}

struct Vec {
  double x, y;
};

void PaintPolygon(Dest& d, const std::vector<PointD>& poly, COLORREF color) {
  Boxes boxes;
  RasterPolygon({poly}, true, boxes, &d.clipBox);
  Pattern p = SolidPattern(d, color);
  FillRgn(d, Rgn(boxes.data(), static_cast<int>(boxes.size())), &p, 0xF0);
}

}  // namespace

BOOL TextOutCore(Dc& dc, int x, int y, UINT options, const RECT* rect, const char16_t* s, size_t n,
                 const INT* dx, UINT align) {
  auto face = DcFace(dc);
  if (!face) return FALSE;
  if (dc.meta) MetaRecordText(dc, x, y, options, rect, s, n, dx, align);
  const TEXTMETRICW& tm = face->Metrics();
  const bool rtlReading = (options & ETO_RTLREADING) || (align & TA_RTLREADING);
  ShapedText shaped;
  // The common case: simple characters the face has, drawn glyph by glyph.
  bool complex = rtlReading;
  std::vector<const Glyph*> glyphs(complex ? 0 : n, nullptr);
  for (size_t i = 0; !complex && i < n; ++i) {
    if (!SimpleUnit(s[i])) {
      complex = true;
      break;
    }
    const Glyph& g = face->GlyphFor(s[i]);
    if (g.index == 0 && !Invisible(s[i])) complex = true;
    glyphs[i] = &g;
  }
  std::vector<int32_t> adv;
  std::vector<int32_t> advY;
  if (dx) {
    adv.resize(n);
    if (options & ETO_PDY) {
      advY.resize(n);
      for (size_t i = 0; i < n; ++i) {
        adv[i] = dx[2 * i];
        advY[i] = dx[2 * i + 1];
      }
    } else {
      for (size_t i = 0; i < n; ++i) adv[i] = dx[i];
    }
    if (complex) shaped = ShapeText(*face, s, n, rtlReading);
  } else {
    adv = TextAdvances(dc, *face, s, n, rtlReading, &shaped);
  }
  int64_t width = 0;
  for (int32_t a : adv) width += a;
  POINT ref{x, y};
  if (align & TA_UPDATECP) ref = dc.s.curPos;
  double startX = 0;
  switch (align & TA_CENTER) {
    case TA_RIGHT:
      startX = -static_cast<double>(width);
      break;
    case TA_CENTER:
      startX = -static_cast<double>(width / 2);
      break;
    default:
      break;
  }
  double baseY = 0;
  switch (align & TA_BASELINE) {
    case TA_BASELINE:
      baseY = 0;
      break;
    case TA_BOTTOM:
      baseY = -tm.tmDescent;
      break;
    default:
      baseY = tm.tmAscent;
      break;
  }
  if (align & TA_UPDATECP) {
    if ((align & TA_CENTER) == TA_LEFT)
      dc.s.curPos.X = ClampCoord(ref.X + width);
    else if ((align & TA_CENTER) == TA_RIGHT)
      dc.s.curPos.X = ClampCoord(ref.X - width);
  }
  Transform t = DeviceTransform(dc);
  if ((dc.s.layout & LAYOUT_RTL) && t.m11 < 0 && t.m12 == 0 && t.m21 == 0) {
    // A mirrored DC places the line's cell mirrored but draws the glyphs unmirrored: the line
    // keeps its logical extent [x, x + width), read from the device's left to right.
    double left = t.m11 * (ref.X + startX + static_cast<double>(width)) + t.dx + 1;
    t.m11 = -t.m11;
    t.dx = left - t.m11 * (ref.X + startX);
  }
  double th = face->escapement;
  double cs = std::cos(th), sn = std::sin(th);
  // Logical offset (u along the baseline, v down from it) -> device point.
  auto at = [&](double u, double v) {
    double lx = ref.X + u * cs + v * sn, ly = ref.Y - u * sn + v * cs;
    return Vec{lx * t.m11 + ly * t.m21 + t.dx, lx * t.m12 + ly * t.m22 + t.dy};
  };
  auto logicalBox = [&](double u0, double v0, double u1, double v1) {
    Vec a = at(u0, v0), b = at(u1, v0), c = at(u1, v1), e = at(u0, v1);
    return std::vector<PointD>{{a.x, a.y}, {b.x, b.y}, {c.x, c.y}, {e.x, e.y}};
  };
  if (dc.path.open) {
    // Inside a path bracket the glyphs' outlines are recorded and nothing is drawn.
    std::vector<std::vector<PointD>> figures;
    auto addOutline = [&](FontFace& f, uint32_t index, double u, double v) {
      figures.clear();
      if (!f.OutlineIndex(index, figures)) return;
      for (auto& figure : figures) {
        for (PointD& p : figure) {
          const Vec q = at(u + p.x, v + p.y);
          p = {q.x, q.y};
        }
        PathAdd(dc, std::move(figure), true, false);
      }
    };
    if (complex) {
      std::vector<int32_t> cellLeft, clusterLeft;
      UnitPositions(shaped, adv, cellLeft, clusterLeft);
      for (const ShapedGlyph& g : shaped.glyphs)
        addOutline(static_cast<FontFace&>(*g.face), g.index, startX + clusterLeft[g.unit] + g.x + g.dx,
                   baseY + g.dy);
    } else {
      double u = startX, v = baseY;
      for (size_t i = 0; i < n; ++i) {
        if (!Invisible(s[i])) addOutline(*face, glyphs[i]->index, u, v);
        u += adv[i];
        if (!advY.empty()) v -= advY[i];
      }
    }
    return TRUE;
  }
  Dest d;
  if (!PrepareDest(dc, d)) return TRUE;
  bool simple = th == 0 && t.IsTranslation();
  if ((options & ETO_OPAQUE) && rect) {
    Rgn r = LogicalRectToDevice(dc, Normalized(*rect));
    Pattern p = SolidPattern(d, dc.s.bkColor);
    FillRgn(d, r, &p, 0xF0);
  }
  if ((options & ETO_CLIPPED) && rect) {
    d.clip.Intersect(LogicalRectToDevice(dc, Normalized(*rect)));
    int count = d.clip.Count();
    if (count == 0) return TRUE;
    d.clipIsRect = count == 1;
    d.clipBox = d.clip.Extents();
  }
  if (dc.s.bkMode == OPAQUE && width > 0) {
    if (simple) {
      Vec a = at(startX, baseY - tm.tmAscent);
      int32_t X = Coord(a.x), Y = Coord(a.y);
      Pattern p = SolidPattern(d, dc.s.bkColor);
      FillBox(d, {X, Y, AddC(X, width), AddC(Y, tm.tmHeight)}, &p, 0xF0);
    } else {
      PaintPolygon(d, logicalBox(startX, baseY - tm.tmAscent, startX + width, baseY + tm.tmDescent),
                   dc.s.bkColor);
    }
  }
  double m[4] = {t.m11 * cs - t.m21 * sn, t.m12 * cs - t.m22 * sn, t.m11 * sn + t.m21 * cs,
                 t.m12 * sn + t.m22 * cs};
  // m maps glyph space (x right, y down) to device: columns are the images of (1,0) and (0,1).
  double gm[4] = {m[0], m[2], m[1], m[3]};
  Glyph tmp;
  // Draws a glyph whose pen position is at (u, v) from the reference point.
  auto drawGlyph = [&](FontFace& f, uint32_t index, const Glyph* known, char32_t c, bool byIndex, double u,
                       double v) {
    Vec p = at(u, v);
    if (simple) {
      const Glyph& g = known ? *known : byIndex ? f.GlyphAt(index) : f.GlyphFor(c);
      if (g.w > 0 && g.h > 0)
        BlendCoverage(d, AddC(Coord(p.x), g.left), AddC(Coord(p.y), g.top), g.w, g.h, g.cov.data(), g.w,
                      dc.s.textColor);
      return;
    }
    double fx = std::floor(p.x), fy = std::floor(p.y);
    // Only the part of the glyph inside the clip box is rendered.
    auto rel = [](int64_t v, double origin) {
      return static_cast<LONG>(std::clamp<double>(static_cast<double>(v) - origin, INT32_MIN, INT32_MAX));
    };
    double ox = RoundCoord(fx), oy = RoundCoord(fy);
    RECT window{rel(d.clipBox.x1, ox), rel(d.clipBox.y1, oy), rel(d.clipBox.x2, ox), rel(d.clipBox.y2, oy)};
    bool ok = byIndex ? f.RenderIndex(index, gm, p.x - fx, p.y - fy, tmp, &window)
                      : f.Render(c, gm, p.x - fx, p.y - fy, tmp, &window);
    if (ok && tmp.w > 0 && tmp.h > 0)
      BlendCoverage(d, AddC(RoundCoord(fx), tmp.left), AddC(RoundCoord(fy), tmp.top), tmp.w, tmp.h,
                    tmp.cov.data(), tmp.w, dc.s.textColor);
  };
  if (complex) {
    std::vector<int32_t> cellLeft, clusterLeft;
    UnitPositions(shaped, adv, cellLeft, clusterLeft);
    for (const ShapedGlyph& g : shaped.glyphs)
      drawGlyph(static_cast<FontFace&>(*g.face), g.index, nullptr, 0, true,
                startX + clusterLeft[g.unit] + g.x + g.dx, baseY + g.dy);
  } else {
    double u = startX, v = baseY;
    for (size_t i = 0; i < n; ++i) {
      if (!Invisible(s[i])) drawGlyph(*face, 0, glyphs[i], s[i], false, u, v);
      u += adv[i];
      if (!advY.empty()) v -= advY[i];
    }
  }
  if ((tm.tmUnderlined || tm.tmStruckOut) && width > 0) {
    auto line = [&](double top, double thick) {
      PaintPolygon(d, logicalBox(startX, top, startX + width, top + thick), dc.s.textColor);
    };
    if (tm.tmUnderlined) line(baseY + face->underlinePos, face->underlineThickness);
    if (tm.tmStruckOut) line(baseY - face->strikePos, face->strikeThickness);
  }
  return TRUE;
}

}  // namespace qd::gdi

namespace qd {
using namespace gdi;

namespace {

// Width in the low word, height in the high word.
DWORD PackExtent(int64_t w, int32_t h) {
  return static_cast<DWORD>(std::clamp<int64_t>(w, 0, 0xFFFF)) | (static_cast<DWORD>(h & 0xFFFF) << 16);
}

}  // namespace

BOOL ExtTextOutW(HDC h, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count,
                 const INT* dx) {
  Dc* dc = FindDc(h);
  if (!dc || (!text && count)) return FALSE;
  return TextOutCore(*dc, x, y, options, rect, text, count, dx, dc->s.textAlign);
}

BOOL TextOutW(HDC h, int x, int y, LPCWSTR text, int count) {
  if (count < 0) return FALSE;
  return ExtTextOutW(h, x, y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
}

BOOL GetTextExtentPoint32W(HDC h, LPCWSTR text, int count, SIZE* size) {
  Dc* dc = FindDc(h);
  if (!dc || !size || count < 0 || (!text && count)) return FALSE;
  auto face = DcFace(*dc);
  if (!face) return FALSE;
  int64_t w = 0;
  for (int32_t a : TextAdvances(*dc, *face, text, static_cast<size_t>(count))) w += a;
  *size = {ClampCoord(w), face->Metrics().tmHeight};
  return TRUE;
}

BOOL GetTextExtentPointW(HDC h, LPCWSTR text, int count, SIZE* size) {
  return GetTextExtentPoint32W(h, text, count, size);
}

BOOL GetTextExtentExPointW(HDC h, LPCWSTR text, int count, int maxExtent, LPINT fit, LPINT dx, SIZE* size) {
  Dc* dc = FindDc(h);
  if (!dc || count < 0 || (!text && count)) return FALSE;
  auto face = DcFace(*dc);
  if (!face) return FALSE;
  auto adv = TextAdvances(*dc, *face, text, static_cast<size_t>(count));
  int64_t w = 0;
  int fits = 0;
  bool stop = false;
  for (int i = 0; i < count; ++i) {
    w += adv[static_cast<size_t>(i)];
    if (dx) dx[i] = ClampCoord(w);
    if (!stop && w <= maxExtent)
      fits = i + 1;
    else
      stop = true;
  }
  if (fit) *fit = fits;
  if (size) *size = {ClampCoord(w), face->Metrics().tmHeight};
  return TRUE;
}

BOOL SetTextJustification(HDC h, int breakExtra, int breakCount) {
  Dc* dc = FindDc(h);
  if (!dc) return FALSE;
  dc->s.breakExtra = breakCount > 0 ? breakExtra : 0;
  dc->s.breakCount = std::max(breakCount, 0);
  return TRUE;
}

int SetTextCharacterExtra(HDC h, int extra) {
  Dc* dc = FindDc(h);
  if (!dc) return static_cast<int>(0x80000000);
  int old = dc->s.charExtra;
  dc->s.charExtra = extra;
  return old;
}

int GetTextCharacterExtra(HDC h) {
  Dc* dc = FindDc(h);
  return dc ? dc->s.charExtra : static_cast<int>(0x80000000);
}

namespace {

// Lays out tabbed text: the x offset of each segment and the total width.
LONG TabbedLayout(HDC h, LPCWSTR text, int count, int nTabs, const INT* tabs, int tabOrigin, int x, int y,
                  bool draw) {
  Dc* dc = FindDc(h);
  if (!dc || count < 0 || (!text && count)) return 0;
  auto face = DcFace(*dc);
  if (!face) return 0;
  int32_t defaultTab = 8 * face->Metrics().tmAveCharWidth;
  if (nTabs == 1 && tabs && tabs[0] > 0) defaultTab = tabs[0];
  auto nextStop = [&](int32_t pos) -> int32_t {
    int64_t rel = int64_t(pos) + x - tabOrigin;
    if (nTabs > 1 && tabs) {
      for (int i = 0; i < nTabs; ++i) {
        int64_t stop = std::llabs(tabs[i]);
        if (stop > rel) return ClampCoord(stop - (int64_t(x) - tabOrigin));
      }
    }
    if (defaultTab <= 0) return pos;
    int64_t next = (rel / defaultTab + 1) * defaultTab;
    return ClampCoord(next - (int64_t(x) - tabOrigin));
  };
  int32_t pos = 0;
  int start = 0;
  for (int i = 0; i <= count; ++i) {
    if (i < count && text[i] != u'\t') continue;
    auto adv = TextAdvances(*dc, *face, text + start, static_cast<size_t>(i - start));
    if (draw && i > start)
      TextOutCore(*dc, AddC(x, pos), y, 0, nullptr, text + start, static_cast<size_t>(i - start), nullptr,
                  dc->s.textAlign & ~(TA_UPDATECP | TA_CENTER));
    for (int32_t a : adv) pos += a;
    if (i < count) pos = nextStop(pos);
    start = i + 1;
  }
  return static_cast<LONG>(PackExtent(pos, face->Metrics().tmHeight));
}

}  // namespace

LONG TabbedTextOutW(HDC h, int x, int y, LPCWSTR text, int count, int tabPositions, const INT* tabStops,
                    int tabOrigin) {
  return TabbedLayout(h, text, count, tabPositions, tabStops, tabOrigin, x, y, true);
}

DWORD GetTabbedTextExtentW(HDC h, LPCWSTR text, int count, int tabPositions, const INT* tabStops) {
  return static_cast<DWORD>(TabbedLayout(h, text, count, tabPositions, tabStops, 0, 0, 0, false));
}

DWORD GetCharacterPlacementW(HDC h, LPCWSTR text, int count, int maxExtent, GCP_RESULTSW* results,
                             DWORD flags) {
  Dc* dc = FindDc(h);
  if (!dc || count < 0 || (!text && count)) return 0;
  auto face = DcFace(*dc);
  if (!face) return 0;
  const auto n = static_cast<size_t>(count);
  const bool rtl = (dc->s.textAlign & TA_RTLREADING) != 0;
  // Without GCP_REORDER the text is in display order already.
  const bool reorder = (flags & GCP_REORDER) != 0;
  ShapedText st;
  std::vector<int32_t> adv = TextAdvances(*dc, *face, text, n, rtl && reorder, &st);
  if (!st.visual.empty() && !reorder) {
    st = ShapeText(*face, text, n, false, false);
  }
  if (st.visual.size() != n) {
    // Simple text: one glyph a unit, display order is logical order.
    st = ShapedText{};
    st.visual.resize(n);
    st.cluster.resize(n);
    st.rtl.assign(n, 0);
    for (size_t i = 0; i < n; ++i) {
      st.visual[i] = static_cast<uint32_t>(i);
      st.cluster[i] = static_cast<uint32_t>(i);
      ShapedGlyph g;
      g.face = face.get();
      g.index = Invisible(text[i]) ? 0 : face->GlyphFor(text[i]).index;
      g.unit = static_cast<uint32_t>(i);
      st.glyphs.push_back(g);
    }
  }
  int64_t w = 0;
  int fit = count;
  for (int i = 0; i < count; ++i) {
    if ((flags & GCP_MAXEXTENT) && maxExtent >= 0 && w + adv[static_cast<size_t>(i)] > maxExtent &&
        fit == count)
      fit = i;
    w += adv[static_cast<size_t>(i)];
  }
  if (results) {
    UINT limit = std::min<UINT>(results->nGlyphs ? results->nGlyphs : static_cast<UINT>(count),
                                static_cast<UINT>(count));
    std::vector<int32_t> cellLeft, clusterLeft;
    UnitPositions(st, adv, cellLeft, clusterLeft);
    for (UINT v = 0; v < limit; ++v) {
      uint32_t u = st.visual[v];
      // Display order: the string, the widths of the cells, and where each unit went.
      if (results->lpOutString) results->lpOutString[v] = text[u];
      if (results->lpDx) results->lpDx[v] = adv[u];
      if (results->lpOrder) results->lpOrder[u] = v;
      if (results->lpClass) results->lpClass[v] = 0;
    }
    // Caret positions, logical order: the leading edge of each unit in its reading direction.
    if (results->lpCaretPos)
      for (UINT i = 0; i < limit; ++i)
        results->lpCaretPos[i] = st.rtl[i] ? cellLeft[i] + adv[i] : cellLeft[i];
    UINT glyphs = std::min<UINT>(limit, static_cast<UINT>(st.glyphs.size()));
    if (results->lpGlyphs) {
      // Glyphs in display order.
      std::vector<const ShapedGlyph*> order;
      for (const ShapedGlyph& g : st.glyphs) order.push_back(&g);
      std::stable_sort(order.begin(), order.end(), [&](const ShapedGlyph* a, const ShapedGlyph* b) {
        return clusterLeft[a->unit] + a->x < clusterLeft[b->unit] + b->x;
      });
      for (UINT i = 0; i < glyphs; ++i) results->lpGlyphs[i] = order[i]->index;
    }
    results->nGlyphs = results->lpGlyphs ? glyphs : limit;
    results->nMaxFit = fit;
  }
  return PackExtent(w, face->Metrics().tmHeight);
}

}  // namespace qd
