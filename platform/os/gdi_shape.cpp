// The shaping engine: FriBidi levels and visual order, one HarfBuzz run per level, face and
// script, fallback faces from fontconfig, and cluster advances shared among their letters.
#include "platform/os/gdi_shape.h"

#include "platform/os/gdi_font.h"

#include <fribidi.h>
#include <hb.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>

namespace qd::gdi {

namespace {

bool IsMarkCategory(hb_unicode_general_category_t cat) {
  return cat == HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK ||
         cat == HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK || cat == HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK;
}

// Characters that belong to the character before them: marks, joiners, variation selectors and
// emoji modifiers. They take the face of that character and none of the cluster's width.
bool Attaches(char32_t c) {
  if (c == 0x200C || c == 0x200D || (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xE0100 && c <= 0xE01EF) ||
      (c >= 0x1F3FB && c <= 0x1F3FF) || (c >= 0xE0020 && c <= 0xE007F))
    return true;
  return IsMarkCategory(hb_unicode_general_category(hb_unicode_funcs_get_default(), c));
}

int32_t Round26(int64_t v) {
  return static_cast<int32_t>(v >= 0 ? (v + 32) >> 6 : -((-v + 32) >> 6));
}

bool RealScript(hb_script_t s) {
  return s != HB_SCRIPT_COMMON && s != HB_SCRIPT_INHERITED && s != HB_SCRIPT_UNKNOWN &&
         s != HB_SCRIPT_INVALID;
}

}  // namespace

uint32_t FontFace::GlyphIndexOf(char32_t c) {
  return GlyphIndex(c);
}
void FontFace::ShapeBuffer(hb_buffer_t* buffer) {
  Shape(buffer);
}
ShapingFace* FontFace::FallbackFor(char32_t c) {
  return Fallback(c);
}

bool NeedsShaping(FontFace& face, const char16_t* s, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    char16_t c = s[i];
    if (!SimpleUnit(c)) return true;
    if (!Invisible(c) && face.GlyphFor(c).index == 0) return true;
  }
  return false;
}

ShapedText ShapeText(ShapingFace& face, const char16_t* s, size_t n, bool rtlReading, bool reorder,
                     bool wholePixels) {
  ShapedText out;
  out.advance.assign(n, 0);
  out.cluster.resize(n);
  std::iota(out.cluster.begin(), out.cluster.end(), 0u);
  out.rtl.assign(n, 0);
  std::vector<size_t> unitOf;
  std::u32string cps = ToCodePoints(s, n, &unitOf);
  const size_t m = cps.size();
  if (m == 0) return out;
  auto unitEnd = [&](size_t i) { return i + 1 < m ? unitOf[i + 1] : n; };
  const auto len = static_cast<FriBidiStrIndex>(m);

  // Levels and visual order.
  std::vector<FriBidiLevel> levels(m, 0);
  std::vector<FriBidiStrIndex> map(m);
  std::iota(map.begin(), map.end(), 0);
  if (reorder) {
    std::vector<FriBidiCharType> types(m);
    std::vector<FriBidiBracketType> brackets(m);
    const auto* str = reinterpret_cast<const FriBidiChar*>(cps.data());
    fribidi_get_bidi_types(str, len, types.data());
    fribidi_get_bracket_types(str, len, types.data(), brackets.data());
    FriBidiParType dir = rtlReading ? FRIBIDI_PAR_RTL : FRIBIDI_PAR_LTR;
    if (fribidi_get_par_embedding_levels_ex(types.data(), brackets.data(), len, &dir, levels.data()) == 0 ||
        fribidi_reorder_line(0, types.data(), len, 0, dir, levels.data(), nullptr, map.data()) == 0) {
      levels.assign(m, rtlReading ? 1 : 0);
      std::iota(map.begin(), map.end(), 0);
      if (rtlReading) std::reverse(map.begin(), map.end());
    }
  }

  // Faces: the selected one, or a fallback for what it lacks.
  std::vector<ShapingFace*> faces(m, &face);
  for (size_t i = 0; i < m; ++i) {
    char32_t c = cps[i];
    if (i > 0 && Attaches(c)) {
      faces[i] = faces[i - 1];
    } else if (!Invisible(c) && face.GlyphIndexOf(c) == 0) {
      if (ShapingFace* fb = face.FallbackFor(c)) faces[i] = fb;
    }
  }
  // Scripts: common characters (spaces, digits, punctuation) join the script around them.
  hb_unicode_funcs_t* uf = hb_unicode_funcs_get_default();
  std::vector<hb_script_t> scripts(m);
  hb_script_t last = HB_SCRIPT_COMMON;
  for (size_t i = 0; i < m; ++i) {
    hb_script_t sc = hb_unicode_script(uf, cps[i]);
    if (RealScript(sc)) last = sc;
    scripts[i] = RealScript(sc) ? sc : last;
  }
  for (size_t i = m; i-- > 0;)
    if (!RealScript(scripts[i])) scripts[i] = i + 1 < m ? scripts[i + 1] : HB_SCRIPT_LATIN;
  for (size_t i = 0; i < m; ++i) out.rtl[unitOf[i]] = levels[i] & 1;

  hb_buffer_t* buf = hb_buffer_create();
  for (size_t a = 0; a < m;) {
    size_t b = a + 1;
    while (b < m && levels[b] == levels[a] && faces[b] == faces[a] && scripts[b] == scripts[a]) ++b;
    hb_buffer_clear_contents(buf);
    hb_buffer_add_utf32(buf, reinterpret_cast<const uint32_t*>(cps.data()), static_cast<int>(m),
                        static_cast<unsigned>(a), static_cast<int>(b - a));
    hb_buffer_set_direction(buf, (levels[a] & 1) ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
    hb_buffer_set_script(buf, scripts[a]);
    hb_buffer_set_language(buf, hb_language_get_default());
    faces[a]->ShapeBuffer(buf);
    unsigned count = 0;
    hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buf, &count);
    hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buf, &count);
    std::vector<uint32_t> starts;
    for (unsigned g = 0; g < count; ++g) starts.push_back(info[g].cluster);
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    int64_t pen = 0;  // 1/64 pixels from the run's left edge
    // Whole pixels for GDI (rounded at cluster edges), fractions for GDI+.
    auto px = [&](int64_t v) { return wholePixels ? double(Round26(v)) : v / 64.0; };
    for (unsigned g = 0; g < count;) {
      uint32_t cl = info[g].cluster;
      unsigned h = g;
      const double startPx = px(pen);
      for (; h < count && info[h].cluster == cl; ++h) {
        char32_t c = cl < m ? cps[cl] : 0;
        if (!Invisible(c)) {
          ShapedGlyph sg;
          sg.face = faces[a];
          sg.index = info[h].codepoint;
          sg.unit = static_cast<uint32_t>(unitOf[cl]);
          sg.x = px(pen) - startPx;
          sg.dx = px(pos[h].x_offset);
          sg.dy = -px(pos[h].y_offset);
          out.glyphs.push_back(sg);
          pen += pos[h].x_advance;
        }
      }
      const double width = px(pen) - startPx;
      auto next = std::upper_bound(starts.begin(), starts.end(), cl);
      size_t end = next == starts.end() ? b : *next;
      // The cluster's width goes to its letters, not to the marks on them.
      int bases = 0;
      for (size_t k = cl; k < end; ++k) bases += (k == cl || !Attaches(cps[k])) && !Invisible(cps[k]);
      double share = bases ? width / bases : 0, rest = bases ? width - share * bases : width;
      if (wholePixels && bases) {
        share = std::floor(width / bases);
        rest = width - share * bases;
      }
      for (size_t k = cl; k < end; ++k) {
        for (size_t u = unitOf[k]; u < unitEnd(k); ++u) out.cluster[u] = static_cast<uint32_t>(unitOf[cl]);
        if ((k == cl || !Attaches(cps[k])) && !Invisible(cps[k])) {
          out.advance[unitOf[k]] = share + rest;
          rest = 0;
        }
      }
      if (!bases) out.advance[unitOf[cl]] += rest;
      g = h;
    }
    a = b;
  }
  hb_buffer_destroy(buf);

  out.visual.reserve(n);
  for (size_t v = 0; v < m; ++v) {
    auto k = static_cast<size_t>(map[v]);
    for (size_t u = unitOf[k]; u < unitEnd(k); ++u) out.visual.push_back(static_cast<uint32_t>(u));
  }
  return out;
}

}  // namespace qd::gdi
