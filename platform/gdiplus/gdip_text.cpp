// Text: font families resolved like GDI's fonts, fonts, string formats, and one layout engine
// behind DrawString, MeasureString, MeasureCharacterRanges and AddPathString, so that what is
// measured is what is drawn.
#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include <hb-ft.h>
#include <hb.h>

#include <algorithm>
#include <map>
#include <unordered_map>

#include "platform/base/strings.h"
#include "platform/gdiplus/gdip_internal.h"
#include "platform/os/gdi_gdiplus_access.h"
#include "platform/os/gdi_shape.h"

namespace qd::gdiplus {

using namespace detail;

namespace detail {

double Font::EmPixels(double dpi) const {
  return emSize * UnitToPixels(unit, dpi);
}

}  // namespace detail

namespace {

// ---- Faces -----------------------------------------------------------------------------------

FT_Library Library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    return FT_Init_FreeType(&l) == 0 ? l : nullptr;
  }();
  return lib;
}

struct Face {
  FT_Face ft = nullptr;
  cairo_font_face_t* cairo = nullptr;
  hb_face_t* hb = nullptr;  // the same face for shaping
  double unitsPerEm = 2048;
  double ascent = 0, descent = 0, lineSpacing = 0;  // font units
  double underlinePos = 0, underlineThickness = 0, strikePos = 0, strikeThickness = 0;
};

// A face of a file, with synthetic bold and slant where the file lacks them.
const Face* LoadFace(const std::string& file, bool bold, bool italic) {
  // Faces live to the end of the process (cairo keeps references to them).
  static auto& cache = *new std::map<std::tuple<std::string, bool, bool>, Face*>;
  auto key = std::make_tuple(file, bold, italic);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  FT_Face ft = nullptr;
  if (!Library() || FT_New_Face(Library(), file.c_str(), 0, &ft) != 0) {
    cache[key] = nullptr;
    return nullptr;
  }
  auto* f = new Face;
  f->ft = ft;
  f->cairo = cairo_ft_font_face_create_for_ft_face(ft, FT_LOAD_NO_HINTING);
  f->hb = hb_ft_face_create_referenced(ft);
  unsigned synth = 0;
  if (bold && !(ft->style_flags & FT_STYLE_FLAG_BOLD)) synth |= CAIRO_FT_SYNTHESIZE_BOLD;
  if (italic && !(ft->style_flags & FT_STYLE_FLAG_ITALIC)) synth |= CAIRO_FT_SYNTHESIZE_OBLIQUE;
  if (synth) cairo_ft_font_face_set_synthesize(f->cairo, synth);
  f->unitsPerEm = ft->units_per_EM ? ft->units_per_EM : 2048;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(ft, FT_SFNT_HHEA));
  f->ascent = os2 && os2->usWinAscent ? os2->usWinAscent : ft->ascender;
  f->descent = os2 && os2->usWinDescent ? os2->usWinDescent : -ft->descender;
  double spacing = hhea ? double(hhea->Ascender) - hhea->Descender + hhea->Line_Gap : ft->height;
  f->lineSpacing = std::max(spacing, f->ascent + f->descent);
  f->underlinePos = -ft->underline_position;
  f->underlineThickness = std::max<double>(ft->underline_thickness, f->unitsPerEm / 20);
  f->strikePos = os2 && os2->yStrikeoutPosition ? os2->yStrikeoutPosition : f->unitsPerEm * 0.25;
  f->strikeThickness = os2 && os2->yStrikeoutSize ? os2->yStrikeoutSize : f->underlineThickness;
  cache[key] = f;
  return f;
}

std::string Lower(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Families by name; a name no installed family answers to is remembered as missing.
std::shared_ptr<const FamilyData> FindFamily(const std::u16string& name) {
  static std::map<std::string, std::shared_ptr<const FamilyData>> cache;
  std::string utf8 = StringToUtf8(name);
  std::string key = Lower(utf8);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  std::string family, file;
  if (!gdi::ResolveFontFamily(name, FW_NORMAL, false, family, file)) {
    cache[key] = nullptr;
    return nullptr;
  }
  auto d = std::make_shared<FamilyData>();
  d->installed = family;
  // An installed family reports its own spelling; a substituted name stays as asked.
  d->name = Lower(family) == key ? Utf8ToString(family) : name;
  d->files[0] = file;
  for (int s = 1; s < 4; ++s) {
    std::string fam, f;
    bool ok = gdi::ResolveFontFamily(name, (s & 1) ? FW_BOLD : FW_NORMAL, (s & 2) != 0, fam, f);
    d->files[s] = ok && fam == family ? f : file;
  }
  const Face* face = LoadFace(file, false, false);
  if (!face) {
    cache[key] = nullptr;
    return nullptr;
  }
  d->emHeight = static_cast<UINT16>(std::clamp(face->unitsPerEm, 1.0, 65535.0));
  d->ascent = static_cast<UINT16>(std::clamp(face->ascent, 0.0, 65535.0));
  d->descent = static_cast<UINT16>(std::clamp(face->descent, 0.0, 65535.0));
  d->lineSpacing = static_cast<UINT16>(std::clamp(face->lineSpacing, 0.0, 65535.0));
  cache[key] = d;
  return d;
}

const Face* FaceFor(const FamilyData& family, INT style) {
  int i = ((style & FontStyleBold) ? 1 : 0) | ((style & FontStyleItalic) ? 2 : 0);
  return LoadFace(family.files[i], (style & FontStyleBold) != 0, (style & FontStyleItalic) != 0);
}

Status NewFamily(std::shared_ptr<const FamilyData> data, GpFontFamily** out) {
  auto f = std::make_unique<FontFamily>();
  f->data = std::move(data);
  *out = Adopt(std::move(f));
  return Ok;
}

Status GenericFamily(const char16_t* name, GpFontFamily** out) {
  if (!out) return InvalidParameter;
  auto data = FindFamily(name);
  if (!data) return FontFamilyNotFound;
  return NewFamily(std::move(data), out);
}

// ---- Layout ----------------------------------------------------------------------------------

struct Settings {
  INT flags = 0;
  StringAlignment align = StringAlignmentNear;
  StringAlignment lineAlign = StringAlignmentNear;
  StringTrimming trimming = StringTrimmingCharacter;
  HotkeyPrefix hotkey = HotkeyPrefixNone;
  REAL tabOffset = 0;
  std::vector<REAL> tabs;
  bool typographic = false;
  static Settings From(const StringFormat* f) {
    Settings s;
    if (!f) return s;
    s.flags = f->flags;
    s.align = f->align;
    s.lineAlign = f->lineAlign;
    s.trimming = f->trimming;
    s.hotkey = f->hotkey;
    s.tabOffset = f->tabOffset;
    s.tabs = f->tabs;
    s.typographic = f->typographic;
    return s;
  }
};

struct PlacedGlyph {
  unsigned long index = 0;
  double x = 0, y = 0;  // origin on the baseline
};

struct CharCell {
  int src = 0;  // index in the UTF-16 text
  double x = 0, width = 0, top = 0;
};

struct TextLayout {
  std::vector<PlacedGlyph> glyphs;
  std::vector<CharCell> cells;
  std::vector<GpRectF> decorations;  // underline and strikeout bars
  double lineHeight = 0;
  GpRectF bounds;
  INT fitted = 0;
  INT lines = 0;
  double emPx = 0;
  const Face* face = nullptr;
};

struct Char {
  char32_t cp = 0;
  int src = 0;     // first UTF-16 unit
  int srcEnd = 0;  // one past the last
  bool hotkey = false;
  unsigned long glyph = 0;
  double advance = 0;
};

bool IsSpace(char32_t c) {
  return c == U' ' || c == U'\t' || c == 0x3000 || c == 0xA0;
}

class Shaper {
 public:
  Shaper(const Face& face, double emPx) {
    cairo_matrix_t fm, ctm;
    cairo_matrix_init_scale(&fm, emPx, emPx);
    cairo_matrix_init_identity(&ctm);
    options_ = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options_, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options_, CAIRO_HINT_STYLE_NONE);
    font_ = cairo_scaled_font_create(face.cairo, &fm, &ctm, options_);
  }
  ~Shaper() {
    cairo_scaled_font_destroy(font_);
    cairo_font_options_destroy(options_);
  }
  Shaper(const Shaper&) = delete;
  Shaper& operator=(const Shaper&) = delete;
  unsigned long Glyph(char32_t c) {
    auto it = glyphs_.find(c);
    if (it != glyphs_.end()) return it->second;
    unsigned long g = 0;
    if (FT_Face ft = cairo_ft_scaled_font_lock_face(font_)) {
      g = FT_Get_Char_Index(ft, c);
      cairo_ft_scaled_font_unlock_face(font_);
    }
    glyphs_[c] = g;
    return g;
  }
  double Advance(unsigned long glyph) {
    auto it = advances_.find(glyph);
    if (it != advances_.end()) return it->second;
    cairo_glyph_t g{glyph, 0, 0};
    cairo_text_extents_t e;
    cairo_scaled_font_glyph_extents(font_, &g, 1, &e);
    double a = std::isfinite(e.x_advance) ? e.x_advance : 0;
    advances_[glyph] = a;
    return a;
  }

 private:
  cairo_font_options_t* options_ = nullptr;
  cairo_scaled_font_t* font_ = nullptr;
  std::unordered_map<char32_t, unsigned long> glyphs_;
  std::unordered_map<unsigned long, double> advances_;
};

// HarfBuzz over a face at an em size: unhinted fractional positions, as the layout measures.
class HbShaper : public gdi::ShapingFace {
 public:
  HbShaper(const Face& face, double emPx) : font_(hb_font_create(face.hb)) {
    auto scale = static_cast<int>(std::lround(std::min(emPx, 100000.0) * 64));
    hb_font_set_scale(font_, scale, scale);
  }
  ~HbShaper() override { hb_font_destroy(font_); }
  HbShaper(const HbShaper&) = delete;
  HbShaper& operator=(const HbShaper&) = delete;
  uint32_t GlyphIndexOf(char32_t c) override {
    hb_codepoint_t g = 0;
    return hb_font_get_nominal_glyph(font_, c, &g) ? g : 0;
  }
  void ShapeBuffer(hb_buffer_t* buffer) override { hb_shape(font_, buffer, nullptr, 0); }

 private:
  hb_font_t* font_;
};

struct Line {
  size_t first = 0, last = 0;  // chars [first, last)
  bool ellipsis = false;       // an ellipsis follows the chars
  size_t pathCut = 0;          // EllipsisPath: chars [first, pathCut) + "..." + [pathTail, last)
  size_t pathTail = 0;
  bool pathEllipsis = false;
};

class LayoutBuilder {
 public:
  LayoutBuilder(const std::vector<Char>& chars, const Settings& s, double space)
      : chars_(chars), s_(s), space_(space) {}

  // Width of chars [a, b) set from the line's start.
  double Width(size_t a, size_t b, bool trailing) const {
    double x = 0, visible = 0;
    for (size_t i = a; i < b; ++i) {
      x += AdvanceAt(i, x);
      if (!IsSpace(chars_[i].cp)) visible = x;
    }
    return trailing ? x : visible;
  }
  double AdvanceAt(size_t i, double x) const {
    if (chars_[i].cp != U'\t') return chars_[i].advance;
    return NextTab(x) - x;
  }

 private:
  double NextTab(double x) const {
    if (s_.tabs.empty()) {
      double step = std::max(space_ * 4, 1.0);
      return (std::floor(x / step) + 1) * step;
    }
    double stop = s_.tabOffset;
    for (size_t k = 0;; ++k) {
      double inc = s_.tabs[std::min(k, s_.tabs.size() - 1)];
      if (!(inc > 0)) inc = std::max(space_ * 4, 1.0);
      stop += inc;
      if (stop > x + 1e-9) return stop;
      if (k > 100000) return x;
    }
  }
  const std::vector<Char>& chars_;
  const Settings& s_;
  double space_;
};

// The characters of the text: surrogate pairs joined, lone surrogates replaced, the hotkey
// prefix applied ("&&" shows one ampersand).
std::vector<Char> ReadChars(const WCHAR* text, INT length, HotkeyPrefix hotkey, Shaper& shaper) {
  std::vector<Char> chars;
  bool nextHotkey = false;
  for (int i = 0; i < length;) {
    char32_t c = text[i];
    int start = i++;
    if (c >= 0xD800 && c <= 0xDBFF && i < length && text[i] >= 0xDC00 && text[i] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (hotkey != HotkeyPrefixNone && c == U'&') {
      if (i < length && text[i] == u'&') {
        ++i;
      } else {
        nextHotkey = hotkey == HotkeyPrefixShow;
        continue;
      }
    }
    Char ch;
    ch.cp = c;
    ch.src = start;
    ch.srcEnd = i;
    ch.hotkey = nextHotkey;
    nextHotkey = false;
    if (c != U'\n' && c != U'\r' && c != U'\t') {
      ch.glyph = shaper.Glyph(c);
      ch.advance = c < 0x20 ? 0 : shaper.Advance(ch.glyph);
    }
    chars.push_back(ch);
  }
  return chars;
}

// Paragraphs end at line breaks; with wrapping, a paragraph breaks after spaces and hyphens into
// lines no wider than `avail`. paraEnd[i] is where the paragraph of line i ends.
void BreakLines(const std::vector<Char>& chars, const LayoutBuilder& lb, bool wrap, double avail,
                std::vector<Line>& lines, std::vector<size_t>& paraEnd) {
  size_t p0 = 0;
  while (p0 <= chars.size()) {
    size_t p1 = p0;
    while (p1 < chars.size() && chars[p1].cp != U'\n' && chars[p1].cp != U'\r') ++p1;
    size_t next = p1;
    if (next < chars.size()) {
      next += (chars[next].cp == U'\r' && next + 1 < chars.size() && chars[next + 1].cp == U'\n') ? 2 : 1;
    }
    size_t start = p0;
    if (wrap) {
      size_t breakAt = start;
      double x = 0;
      for (size_t i = start; i < p1; ++i) {
        double w = lb.AdvanceAt(i, x);
        if (!IsSpace(chars[i].cp) && i > start && x + w > avail + 1e-6) {
          size_t cut = breakAt > start ? breakAt : i;
          lines.push_back({start, cut});
          paraEnd.push_back(p1);
          start = cut;
          breakAt = start;
          x = lb.Width(start, i, true);
          w = lb.AdvanceAt(i, x);
        }
        x += w;
        if (IsSpace(chars[i].cp) || chars[i].cp == U'-') breakAt = i + 1;
      }
    }
    lines.push_back({start, p1});
    paraEnd.push_back(p1);
    if (next == p1) break;  // the text ended
    p0 = next;
    if (p0 == chars.size()) break;  // a final line break starts no new line
  }
}

// How many of `count` lines a layout rectangle of the given height shows (0: no limit).
size_t VisibleLineCount(size_t count, double height, double lineHeight, INT flags) {
  if (!(height > 0 && lineHeight > 0)) return count;
  size_t full = static_cast<size_t>(std::floor(height / lineHeight + 1e-6));
  size_t partial = static_cast<size_t>(std::ceil(height / lineHeight - 1e-6));
  return std::min(count, (flags & StringFormatFlagsLineLimit) ? full : std::max<size_t>(partial, 1));
}

// Shortens a line to chars [l.first, end) trimmed to `avail`, by the trimming mode.
void TrimLine(Line& l, size_t end, const std::vector<Char>& chars, const LayoutBuilder& lb,
              StringTrimming trimming, double avail, double ellipsisW) {
  bool withEllipsis = trimming == StringTrimmingEllipsisCharacter || trimming == StringTrimmingEllipsisWord ||
                      trimming == StringTrimmingEllipsisPath;
  bool byWord = trimming == StringTrimmingWord || trimming == StringTrimmingEllipsisWord;
  double room = avail - (withEllipsis ? ellipsisW : 0);
  if (trimming == StringTrimmingEllipsisPath) {
    // Keep the end (after the last separator) and as much of the start as fits.
    size_t tail = end;
    while (tail > l.first && chars[tail - 1].cp != U'\\' && chars[tail - 1].cp != U'/') --tail;
    if (tail == l.first) tail = end;
    double tailW = lb.Width(tail, end, true);
    size_t k = l.first;
    double x = 0;
    while (k < tail && x + chars[k].advance + tailW <= room + 1e-6) x += chars[k++].advance;
    l.pathCut = k;
    l.pathTail = tail;
    l.last = end;
    l.pathEllipsis = true;
    return;
  }
  size_t k = l.first, lastWord = l.first;
  double x = 0;
  while (k < end) {
    double w = lb.AdvanceAt(k, x);
    if (x + w > room + 1e-6) break;
    x += w;
    ++k;
    if (k < end && IsSpace(chars[k].cp)) lastWord = k;
  }
  if (byWord && k < end && lastWord > l.first) k = lastWord;
  l.last = k;
  l.ellipsis = withEllipsis;
}

// The characters shown on a line, in order; -1 stands for the ellipsis.
std::vector<long> ShownChars(const Line& l) {
  std::vector<long> shown;
  if (l.pathEllipsis) {
    for (size_t k = l.first; k < l.pathCut; ++k) shown.push_back(long(k));
    if (l.pathCut < l.pathTail) shown.push_back(-1);
    for (size_t k = l.pathTail; k < l.last; ++k) shown.push_back(long(k));
  } else {
    for (size_t k = l.first; k < l.last; ++k) shown.push_back(long(k));
    if (l.ellipsis) shown.push_back(-1);
  }
  return shown;
}

// What placing the lines of one layout shares.
struct LinePlacer {
  const std::vector<Char>& chars;
  const LayoutBuilder& lb;
  const Face& face;
  double emPx;
  INT style;
  unsigned long ellipsisGlyph;
  double ellipsisW;
  StringAlignment align;
  GpRectF rect;
  double pad;
  bool measureTrailing;
  gdi::ShapingFace& shaper;
  bool rtl;  // the paragraph reads right to left

  // A horizontal bar `offset` below the baseline (font units), as thick as `thickness`.
  GpRectF Bar(double x, double baseline, double width, double offset, double thickness) const {
    double t = emPx * thickness / face.unitsPerEm;
    return {REAL(x), REAL(baseline + emPx * offset / face.unitsPerEm - t / 2), REAL(width), REAL(t)};
  }

  double LeftEdge(double width) const {
    if (rect.Width > 0)
      return align == StringAlignmentNear     ? rect.X + pad
             : align == StringAlignmentCenter ? rect.X + (rect.Width - width) / 2
                                              : rect.X + rect.Width - pad - width;
    return align == StringAlignmentNear     ? rect.X + pad
           : align == StringAlignmentCenter ? rect.X - width / 2
                                            : rect.X - pad - width;
  }

  // Places a line with its top at lineTop: its glyphs, cells and decorations go to `out`.
  // Returns the line's left edge and width.
  void Place(const Line& l, double lineTop, TextLayout& out, double& left, double& width) const {
    std::vector<long> shown = ShownChars(l);
    bool complex = rtl;
    for (long k : shown)
      complex = complex ||
                (k >= 0 && (chars[size_t(k)].cp > 0xFFFF || !gdi::SimpleUnit(char16_t(chars[size_t(k)].cp))));
    if (complex) {
      PlaceShaped(shown, lineTop, out, left, width);
      return;
    }
    double x = 0, visibleW = 0;
    std::vector<double> xs;
    for (long k : shown) {
      xs.push_back(x);
      x += k < 0 ? ellipsisW : lb.AdvanceAt(size_t(k), x);
      if (k < 0 || !IsSpace(chars[size_t(k)].cp)) visibleW = x;
    }
    width = measureTrailing ? x : visibleW;
    left = LeftEdge(width);
    const double baseline = lineTop + emPx * face.ascent / face.unitsPerEm;
    for (size_t n = 0; n < shown.size(); ++n) {
      long k = shown[n];
      double gx = left + xs[n];
      if (k < 0) {
        out.glyphs.push_back({ellipsisGlyph, gx, baseline});
        continue;
      }
      const Char& c = chars[size_t(k)];
      double w = lb.AdvanceAt(size_t(k), xs[n]);
      out.cells.push_back({c.src, gx, w, lineTop});
      if (c.cp >= 0x20 && !IsSpace(c.cp)) out.glyphs.push_back({c.glyph, gx, baseline});
      if (c.hotkey)
        out.decorations.push_back(Bar(gx, baseline, w, face.underlinePos, face.underlineThickness));
    }
    Decorate(out, left, width, baseline);
  }

  void Decorate(TextLayout& out, double left, double width, double baseline) const {
    if (width > 0) {
      if (style & FontStyleUnderline)
        out.decorations.push_back(Bar(left, baseline, width, face.underlinePos, face.underlineThickness));
      if (style & FontStyleStrikeout)
        out.decorations.push_back(Bar(left, baseline, width, -face.strikePos, face.strikeThickness));
    }
  }

  // A line that needs shaping or bidirectional order: shaped as one line, its cells put in
  // display order.
  void PlaceShaped(const std::vector<long>& shown, double lineTop, TextLayout& out, double& left,
                   double& width) const {
    std::u16string text;
    std::vector<size_t> firstUnit, unitCount;
    std::vector<double> logicalX;  // tabs keep the stops of the logical order
    double lx = 0;
    for (long k : shown) {
      char32_t c = k < 0 ? U'\u2026' : chars[size_t(k)].cp;
      firstUnit.push_back(text.size());
      if (c > 0xFFFF) {
        text += char16_t(0xD800 + ((c - 0x10000) >> 10));
        text += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
      } else {
        text += char16_t(c);
      }
      unitCount.push_back(text.size() - firstUnit.back());
      logicalX.push_back(lx);
      lx += k < 0 ? ellipsisW : lb.AdvanceAt(size_t(k), lx);
    }
    gdi::ShapedText st = gdi::ShapeText(shaper, text.data(), text.size(), rtl, true, false);
    std::vector<double> adv = st.advance;
    for (size_t n = 0; n < shown.size(); ++n)
      if (shown[n] >= 0 && chars[size_t(shown[n])].cp == U'\t')
        adv[firstUnit[n]] = lb.AdvanceAt(size_t(shown[n]), logicalX[n]);
    std::vector<double> cellLeft, clusterLeft;
    gdi::UnitPositions(st, adv, cellLeft, clusterLeft);
    double total = 0, trailing = 0;
    for (size_t n = 0; n < shown.size(); ++n) {
      double w = 0;
      for (size_t u = firstUnit[n]; u < firstUnit[n] + unitCount[n]; ++u) w += adv[u];
      total += w;
      trailing = shown[n] >= 0 && IsSpace(chars[size_t(shown[n])].cp) ? trailing + w : 0;
    }
    width = measureTrailing ? total : total - trailing;
    left = LeftEdge(width);
    const double baseline = lineTop + emPx * face.ascent / face.unitsPerEm;
    for (size_t n = 0; n < shown.size(); ++n) {
      long k = shown[n];
      if (k < 0) continue;
      const Char& c = chars[size_t(k)];
      double w = 0;
      for (size_t u = firstUnit[n]; u < firstUnit[n] + unitCount[n]; ++u) w += adv[u];
      double gx = left + cellLeft[firstUnit[n]];
      out.cells.push_back({c.src, gx, w, lineTop});
      if (c.hotkey)
        out.decorations.push_back(Bar(gx, baseline, w, face.underlinePos, face.underlineThickness));
    }
    for (const gdi::ShapedGlyph& g : st.glyphs)
      out.glyphs.push_back({g.index, left + clusterLeft[g.unit] + g.x + g.dx, baseline + g.dy});
    Decorate(out, left, width, baseline);
  }
};

// The UTF-16 units that the shown lines hold.
INT FittedUnits(const std::vector<Line>& lines, const std::vector<size_t>& paraEnd,
                const std::vector<Char>& chars, bool cut, INT length) {
  if (lines.empty()) return 0;
  if (!cut && lines.back().last == paraEnd.back()) return length;
  const Line& l = lines.back();
  size_t end = l.pathEllipsis ? l.pathCut : l.last;
  INT fitted = end > 0 && end <= chars.size() ? chars[end - 1].srcEnd : 0;
  if (end < chars.size() && end == l.last && !l.ellipsis) {
    // Spaces and the line break after the last shown character belong to the line.
    size_t k = end;
    while (k < chars.size() && IsSpace(chars[k].cp)) ++k;
    fitted = k > 0 ? chars[k - 1].srcEnd : fitted;
  }
  return fitted;
}

// The laid-out box, inside the layout rectangle where it has a size.
GpRectF ClippedBounds(double bx, double by, double bw, double bh, const GpRectF& rect) {
  if (rect.Width > 0) {
    double r = std::min(bx + bw, double(rect.X) + rect.Width);
    bx = std::max(bx, double(rect.X));
    bw = std::max(0.0, r - bx);
  }
  if (rect.Height > 0) {
    double b = std::min(by + bh, double(rect.Y) + rect.Height);
    by = std::max(by, double(rect.Y));
    bh = std::max(0.0, b - by);
  }
  return {REAL(bx), REAL(by), REAL(bw), REAL(bh)};
}

Status DoLayout(const WCHAR* text, INT length, const FamilyData& family, INT style, double emPx,
                const GpRectF& rect, const StringFormat* format, TextLayout& out) {
  Settings s = Settings::From(format);
  out = TextLayout{};
  if (length == -1) length = static_cast<INT>(std::char_traits<char16_t>::length(text));
  if (length < 0) return InvalidParameter;
  const Face* face = FaceFor(family, style);
  if (!face) return FontFamilyNotFound;
  emPx = std::clamp(emPx, 0.01, 100000.0);
  out.emPx = emPx;
  out.face = face;
  out.lineHeight = emPx * face->lineSpacing / face->unitsPerEm;
  out.bounds = {rect.X, rect.Y, 0, 0};
  if (length == 0) return Ok;

  Shaper shaper(*face, emPx);
  std::vector<Char> chars = ReadChars(text, length, s.hotkey, shaper);
  double space = shaper.Advance(shaper.Glyph(U' '));
  LayoutBuilder lb(chars, s, space);
  const double pad = s.typographic ? 0 : emPx / 6;
  const bool wrap = rect.Width > 0 && !(s.flags & StringFormatFlagsNoWrap);
  const double avail = std::max(0.0, double(rect.Width) - 2 * pad);

  std::vector<Line> lines;
  std::vector<size_t> paraEnd;
  BreakLines(chars, lb, wrap, avail, lines, paraEnd);
  const size_t visible = VisibleLineCount(lines.size(), rect.Height, out.lineHeight, s.flags);
  const bool cut = visible < lines.size();

  // Trimming: the last shown line when text is cut, and lines wider than the rectangle.
  unsigned long ellipsisGlyph = shaper.Glyph(0x2026);
  double ellipsisW = shaper.Advance(ellipsisGlyph);
  lines.resize(visible);
  if (s.trimming != StringTrimmingNone && rect.Width > 0) {
    for (size_t i = 0; i < lines.size(); ++i) {
      bool last = i + 1 == lines.size();
      if (last && cut)
        TrimLine(lines[i], paraEnd[i], chars, lb, s.trimming, avail, ellipsisW);
      else if (!wrap && lb.Width(lines[i].first, lines[i].last, false) > avail + 1e-6)
        TrimLine(lines[i], lines[i].last, chars, lb, s.trimming, avail, ellipsisW);
    }
  }

  // Placement.
  StringAlignment align = s.align;
  if (s.flags & StringFormatFlagsDirectionRightToLeft)
    align = align == StringAlignmentNear  ? StringAlignmentFar
            : align == StringAlignmentFar ? StringAlignmentNear
                                          : align;
  double total = lines.size() * out.lineHeight;
  double top = rect.Y;
  if (s.lineAlign == StringAlignmentCenter) top += (rect.Height > 0 ? rect.Height - total : -total) / 2;
  if (s.lineAlign == StringAlignmentFar) top += rect.Height > 0 ? rect.Height - total : -total;
  HbShaper hb(*face, emPx);
  const LinePlacer placer{chars,
                          lb,
                          *face,
                          emPx,
                          style,
                          ellipsisGlyph,
                          ellipsisW,
                          align,
                          rect,
                          pad,
                          (s.flags & StringFormatFlagsMeasureTrailingSpaces) != 0,
                          hb,
                          (s.flags & StringFormatFlagsDirectionRightToLeft) != 0};
  double minX = 1e300, maxX = -1e300;
  for (size_t li = 0; li < lines.size(); ++li) {
    double left = 0, width = 0;
    placer.Place(lines[li], top + li * out.lineHeight, out, left, width);
    minX = std::min(minX, left - pad);
    maxX = std::max(maxX, left + width + pad);
  }

  out.lines = static_cast<INT>(lines.size());
  out.fitted = FittedUnits(lines, paraEnd, chars, cut, length);
  out.bounds = lines.empty() ? ClippedBounds(rect.X, top, 0, total, rect)
                             : ClippedBounds(minX, top, maxX - minX, total, rect);
  return Ok;
}

// The em size of a font in the world units of a graphics.
double WorldEm(const Font& font, const Graphics& g) {
  if (font.unit == UnitWorld) return font.emSize;
  // Physical units become device pixels, and those become world units through the page transform.
  double px = font.EmPixels(g.dpiY);
  double page = g.s.pageScale * UnitToPixels(g.s.pageUnit, g.dpiY);
  return page > 0 ? px / page : px;
}

void SetFont(cairo_t* cr, const TextLayout& l, TextRenderingHint hint) {
  cairo_set_font_face(cr, l.face->cairo);
  cairo_set_font_size(cr, l.emPx);
  cairo_font_options_t* o = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
  bool mono = hint == TextRenderingHintSingleBitPerPixel || hint == TextRenderingHintSingleBitPerPixelGridFit;
  cairo_font_options_set_antialias(o, mono ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_GRAY);
  cairo_set_font_options(cr, o);
  cairo_font_options_destroy(o);
}

std::vector<cairo_glyph_t> CairoGlyphs(const TextLayout& l) {
  std::vector<cairo_glyph_t> g;
  g.reserve(l.glyphs.size());
  for (const auto& p : l.glyphs) g.push_back({p.index, p.x, p.y});
  return g;
}

Status CheckText(const WCHAR* string, INT length) {
  if (!string || length < -1) return InvalidParameter;
  return Ok;
}

}  // namespace

namespace detail {

Status AddStringToPath(PathData& path, const WCHAR* string, INT length, const FamilyData& family, INT style,
                       double emSize, const GpRectF& layout, const StringFormat* format) {
  TextLayout l;
  Status s = DoLayout(string, length, family, style, emSize, layout, format, l);
  if (s != Ok) return s;
  if (l.glyphs.empty() && l.decorations.empty()) return Ok;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  cairo_t* cr = cairo_create(surface);
  SetFont(cr, l, TextRenderingHintAntiAlias);
  auto glyphs = CairoGlyphs(l);
  cairo_glyph_path(cr, glyphs.data(), static_cast<int>(glyphs.size()));
  for (const auto& d : l.decorations) cairo_rectangle(cr, d.X, d.Y, d.Width, d.Height);
  cairo_path_t* p = cairo_copy_path(cr);
  if (p && p->status == CAIRO_STATUS_SUCCESS) {
    for (int i = 0; i < p->num_data; i += p->data[i].header.length) {
      const cairo_path_data_t* d = &p->data[i];
      switch (d->header.type) {
        case CAIRO_PATH_MOVE_TO:
          path.StartFigure();
          path.LineTo(d[1].point.x, d[1].point.y);
          break;
        case CAIRO_PATH_LINE_TO:
          path.LineTo(d[1].point.x, d[1].point.y);
          break;
        case CAIRO_PATH_CURVE_TO:
          path.BezierTo(d[1].point.x, d[1].point.y, d[2].point.x, d[2].point.y, d[3].point.x, d[3].point.y);
          break;
        case CAIRO_PATH_CLOSE_PATH:
          path.CloseFigure();
          break;
      }
    }
  }
  cairo_path_destroy(p);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  return Ok;
}

}  // namespace detail

// ---- Font families ---------------------------------------------------------------------------

Status GdipCreateFontFamilyFromName(const WCHAR* name, GpFontCollection* fontCollection,
                                    GpFontFamily** fontFamily) {
  QD_GDIP_ENTER();
  if (!name || !fontFamily || fontCollection) return InvalidParameter;
  *fontFamily = nullptr;
  auto data = FindFamily(name);
  if (!data) return FontFamilyNotFound;
  return NewFamily(std::move(data), fontFamily);
}

Status GdipDeleteFontFamily(GpFontFamily* fontFamily) {
  QD_GDIP_LOCK();
  if (!Get<FontFamily>(fontFamily)) return InvalidParameter;
  Destroy(fontFamily);
  return Ok;
}

Status GdipCloneFontFamily(GpFontFamily* fontFamily, GpFontFamily** clonedFontFamily) {
  QD_GDIP_ENTER();
  auto* f = Get<FontFamily>(fontFamily);
  if (!f || !clonedFontFamily) return InvalidParameter;
  return NewFamily(f->data, clonedFontFamily);
}

Status GdipGetGenericFontFamilySansSerif(GpFontFamily** nativeFamily) {
  QD_GDIP_ENTER();
  return GenericFamily(u"Microsoft Sans Serif", nativeFamily);
}

Status GdipGetGenericFontFamilySerif(GpFontFamily** nativeFamily) {
  QD_GDIP_ENTER();
  return GenericFamily(u"Times New Roman", nativeFamily);
}

Status GdipGetGenericFontFamilyMonospace(GpFontFamily** nativeFamily) {
  QD_GDIP_ENTER();
  return GenericFamily(u"Courier New", nativeFamily);
}

Status GdipGetFamilyName(const GpFontFamily* family, WCHAR name[LF_FACESIZE], LANGID) {
  QD_GDIP_ENTER();
  auto* f = Get<FontFamily>(family);
  if (!f || !name) return InvalidParameter;
  size_t n = std::min<size_t>(f->data->name.size(), LF_FACESIZE - 1);
  std::copy_n(f->data->name.begin(), n, name);
  name[n] = 0;
  return Ok;
}

Status GdipIsStyleAvailable(const GpFontFamily* family, INT style, BOOL* isStyleAvailable) {
  QD_GDIP_ENTER();
  auto* f = Get<FontFamily>(family);
  if (!f || !isStyleAvailable) return InvalidParameter;
  // Bold and italic are synthesised where a family has no such face.
  *isStyleAvailable = FaceFor(*f->data, style) ? TRUE : FALSE;
  return Ok;
}

#define QD_GDIP_FAMILY_METRIC(fn, field)                      \
  Status fn(const GpFontFamily* family, INT, UINT16* value) { \
    QD_GDIP_ENTER();                                          \
    auto* f = Get<FontFamily>(family);                        \
    if (!f || !value) return InvalidParameter;                \
    *value = f->data->field;                                  \
    return Ok;                                                \
  }
QD_GDIP_FAMILY_METRIC(GdipGetEmHeight, emHeight)
QD_GDIP_FAMILY_METRIC(GdipGetCellAscent, ascent)
QD_GDIP_FAMILY_METRIC(GdipGetCellDescent, descent)
QD_GDIP_FAMILY_METRIC(GdipGetLineSpacing, lineSpacing)
#undef QD_GDIP_FAMILY_METRIC

// ---- Fonts -----------------------------------------------------------------------------------

namespace {

bool ValidFontUnit(INT unit) {
  return unit >= UnitWorld && unit <= UnitMillimeter && unit != UnitDisplay;
}

Status NewFont(std::shared_ptr<const FamilyData> family, double emSize, INT style, Unit unit, GpFont** out) {
  auto f = std::make_unique<Font>();
  f->family = std::move(family);
  f->emSize = static_cast<float>(emSize);
  f->style = style;
  f->unit = unit;
  *out = Adopt(std::move(f));
  return Ok;
}

Status FontFromLogFont(HDC hdc, const LOGFONTW& lf, GpFont** font) {
  std::u16string face;
  for (int i = 0; i < LF_FACESIZE && lf.lfFaceName[i]; ++i) face.push_back(lf.lfFaceName[i]);
  if (face.size() > 1 && face[0] == u'@') face.erase(0, 1);
  std::shared_ptr<const FamilyData> family = face.empty() ? nullptr : FindFamily(face);
  if (!family) {
    // The face GDI would choose instead.
    std::string installed, file;
    if (!gdi::ResolveLogFontFamily(lf, installed, file)) return NotTrueTypeFont;
    family = FindFamily(Utf8ToString(installed));
    if (!family) return NotTrueTypeFont;
  }
  double em;
  if (lf.lfHeight < 0) {
    em = -double(lf.lfHeight);
  } else {
    double cell = lf.lfHeight > 0 ? lf.lfHeight : 16;
    em = cell * family->emHeight / std::max(1, family->ascent + family->descent);
  }
  em = std::clamp(em, 0.01, 100000.0);
  INT style = (lf.lfWeight >= 600 ? FontStyleBold : 0) | (lf.lfItalic ? FontStyleItalic : 0) |
              (lf.lfUnderline ? FontStyleUnderline : 0) | (lf.lfStrikeOut ? FontStyleStrikeout : 0);
  (void)hdc;
  return NewFont(std::move(family), em, style, UnitWorld, font);
}

}  // namespace

Status GdipCreateFont(const GpFontFamily* fontFamily, REAL emSize, INT style, INT unit, GpFont** font) {
  QD_GDIP_ENTER();
  auto* f = Get<FontFamily>(fontFamily);
  if (!f || !font || !Finite(emSize) || emSize <= 0 || !ValidFontUnit(unit)) return InvalidParameter;
  return NewFont(f->data, emSize, style, static_cast<Unit>(unit), font);
}

Status GdipCreateFontFromDC(HDC hdc, GpFont** font) {
  QD_GDIP_ENTER();
  if (!hdc || !font) return InvalidParameter;
  HGDIOBJ current = GetCurrentObject(hdc, OBJ_FONT);
  LOGFONTW lf;
  if (!current || GetObjectW(current, sizeof lf, &lf) <= 0) return InvalidParameter;
  return FontFromLogFont(hdc, lf, font);
}

Status GdipCreateFontFromLogfontW(HDC hdc, const LOGFONTW* logfont, GpFont** font) {
  QD_GDIP_ENTER();
  if (!logfont || !font) return InvalidParameter;
  return FontFromLogFont(hdc, *logfont, font);
}

Status GdipCloneFont(GpFont* font, GpFont** cloneFont) {
  QD_GDIP_ENTER();
  auto* f = Get<Font>(font);
  if (!f || !cloneFont) return InvalidParameter;
  return NewFont(f->family, f->emSize, f->style, f->unit, cloneFont);
}

Status GdipDeleteFont(GpFont* font) {
  QD_GDIP_LOCK();
  if (!Get<Font>(font)) return InvalidParameter;
  Destroy(font);
  return Ok;
}

Status GdipGetFamily(GpFont* font, GpFontFamily** family) {
  QD_GDIP_ENTER();
  auto* f = Get<Font>(font);
  if (!f || !family) return InvalidParameter;
  return NewFamily(f->family, family);
}

Status GdipGetFontStyle(GpFont* font, INT* style) {
  QD_GDIP_ENTER();
  auto* f = Get<Font>(font);
  if (!f || !style) return InvalidParameter;
  *style = f->style;
  return Ok;
}

Status GdipGetFontSize(GpFont* font, REAL* size) {
  QD_GDIP_ENTER();
  auto* f = Get<Font>(font);
  if (!f || !size) return InvalidParameter;
  *size = f->emSize;
  return Ok;
}

Status GdipGetFontUnit(GpFont* font, GpUnit* unit) {
  QD_GDIP_ENTER();
  auto* f = Get<Font>(font);
  if (!f || !unit) return InvalidParameter;
  *unit = f->unit;
  return Ok;
}

Status GdipGetFontHeight(const GpFont* font, const GpGraphics* graphics, REAL* height) {
  QD_GDIP_ENTER();
  auto* f = Get<Font>(font);
  auto* g = graphics ? Get<Graphics>(graphics) : nullptr;
  if (!f || !height || (graphics && !g)) return InvalidParameter;
  double em = g ? WorldEm(*f, *g) : f->emSize;
  *height = REAL(em * f->family->lineSpacing / f->family->emHeight);
  return Ok;
}

Status GdipGetFontHeightGivenDPI(const GpFont* font, REAL dpi, REAL* height) {
  QD_GDIP_ENTER();
  auto* f = Get<Font>(font);
  if (!f || !height || !Finite(dpi) || dpi <= 0) return InvalidParameter;
  *height = REAL(f->EmPixels(dpi) * f->family->lineSpacing / f->family->emHeight);
  return Ok;
}

Status GdipGetLogFontW(GpFont* font, GpGraphics* graphics, LOGFONTW* logfontW) {
  QD_GDIP_ENTER();
  auto* f = Get<Font>(font);
  auto* g = Get<Graphics>(graphics);
  if (!f || !g || !logfontW) return InvalidParameter;
  LOGFONTW lf;
  double em = WorldEm(*f, *g) * g->WorldToDevice().Scale();
  lf.lfHeight = -static_cast<LONG>(std::lround(std::clamp(em, 0.0, 1e6)));
  lf.lfWeight = (f->style & FontStyleBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (f->style & FontStyleItalic) ? 1 : 0;
  lf.lfUnderline = (f->style & FontStyleUnderline) ? 1 : 0;
  lf.lfStrikeOut = (f->style & FontStyleStrikeout) ? 1 : 0;
  lf.lfCharSet = DEFAULT_CHARSET;
  size_t n = std::min<size_t>(f->family->name.size(), LF_FACESIZE - 1);
  std::copy_n(f->family->name.begin(), n, lf.lfFaceName);
  *logfontW = lf;
  return Ok;
}

// ---- String formats --------------------------------------------------------------------------

namespace {

StringFormat* GetFormat(const GpStringFormat* h) {
  return Get<StringFormat>(h);
}

Status NewFormat(std::unique_ptr<StringFormat> f, GpStringFormat** out) {
  *out = Adopt(std::move(f));
  return Ok;
}

bool ValidAlign(StringAlignment a) {
  return a >= StringAlignmentNear && a <= StringAlignmentFar;
}

}  // namespace

Status GdipCreateStringFormat(INT formatAttributes, LANGID language, GpStringFormat** format) {
  QD_GDIP_ENTER();
  if (!format) return InvalidParameter;
  auto f = std::make_unique<StringFormat>();
  f->flags = formatAttributes;
  f->language = language;
  return NewFormat(std::move(f), format);
}

Status GdipStringFormatGetGenericDefault(GpStringFormat** format) {
  QD_GDIP_ENTER();
  if (!format) return InvalidParameter;
  return NewFormat(std::make_unique<StringFormat>(), format);
}

Status GdipStringFormatGetGenericTypographic(GpStringFormat** format) {
  QD_GDIP_ENTER();
  if (!format) return InvalidParameter;
  auto f = std::make_unique<StringFormat>();
  f->flags = StringFormatFlagsNoFitBlackBox | StringFormatFlagsLineLimit | StringFormatFlagsNoClip;
  f->trimming = StringTrimmingNone;
  f->typographic = true;
  return NewFormat(std::move(f), format);
}

Status GdipDeleteStringFormat(GpStringFormat* format) {
  QD_GDIP_LOCK();
  if (!GetFormat(format)) return InvalidParameter;
  Destroy(format);
  return Ok;
}

Status GdipCloneStringFormat(const GpStringFormat* format, GpStringFormat** newFormat) {
  QD_GDIP_ENTER();
  auto* f = GetFormat(format);
  if (!f || !newFormat) return InvalidParameter;
  auto c = std::make_unique<StringFormat>();
  c->flags = f->flags;
  c->language = f->language;
  c->align = f->align;
  c->lineAlign = f->lineAlign;
  c->trimming = f->trimming;
  c->hotkey = f->hotkey;
  c->tabOffset = f->tabOffset;
  c->tabs = f->tabs;
  c->digitLanguage = f->digitLanguage;
  c->digitSubstitute = f->digitSubstitute;
  c->ranges = f->ranges;
  c->typographic = f->typographic;
  return NewFormat(std::move(c), newFormat);
}

Status GdipSetStringFormatFlags(GpStringFormat* format, INT flags) {
  QD_GDIP_ENTER();
  auto* f = GetFormat(format);
  if (!f) return InvalidParameter;
  f->flags = flags;
  return Ok;
}

Status GdipGetStringFormatFlags(const GpStringFormat* format, INT* flags) {
  QD_GDIP_ENTER();
  auto* f = GetFormat(format);
  if (!f || !flags) return InvalidParameter;
  *flags = f->flags;
  return Ok;
}

Status GdipSetStringFormatAlign(GpStringFormat* format, StringAlignment align) {
  QD_GDIP_ENTER();
  auto* f = GetFormat(format);
  if (!f || !ValidAlign(align)) return InvalidParameter;
  f->align = align;
  return Ok;
}

Status GdipGetStringFormatAlign(const GpStringFormat* format, StringAlignment* align) {
  QD_GDIP_ENTER();
  auto* f = GetFormat(format);
  if (!f || !align) return InvalidParameter;
  *align = f->align;
  return Ok;
}

Status GdipSetStringFormatLineAlign(GpStringFormat* format, StringAlignment align) {
  QD_GDIP_ENTER();
  auto* f = GetFormat(format);
  if (!f || !ValidAlign(align)) return InvalidParameter;
  f->lineAlign = align;
  return Ok;
}

Status GdipGetStringFormatLineAlign(const GpStringFormat* format, StringAlignment* align) {
  QD_GDIP_ENTER();
  auto* f = GetFormat(format);
  if (!f || !align) return InvalidParameter;
  *align = f->lineAlign;
  return Ok;
}

Status GdipSetStringFormatTrimming(GpStringFormat* format, StringTrimming trimming) {
  QD_GDIP_ENTER();
  auto* f = GetFormat(format);
  if (!f || trimming < StringTrimmingNone || trimming > StringTrimmingEllipsisPath) return InvalidParameter;
  f->trimming = trimming;
  return Ok;
}

Status GdipGetStringFormatTrimming(const GpStringFormat* format, StringTrimming* trimming) {
  QD_GDIP_ENTER();
  auto* f = GetFormat(format);
  if (!f || !trimming) return InvalidParameter;
  *trimming = f->trimming;
  return Ok;
}

Status GdipSetStringFormatHotkeyPrefix(GpStringFormat* format, INT hotkeyPrefix) {
  QD_GDIP_ENTER();
  auto* f = GetFormat(format);
  if (!f || hotkeyPrefix < HotkeyPrefixNone || hotkeyPrefix > HotkeyPrefixHide) return InvalidParameter;
  f->hotkey = static_cast<HotkeyPrefix>(hotkeyPrefix);
  return Ok;
}

Status GdipGetStringFormatHotkeyPrefix(const GpStringFormat* format, INT* hotkeyPrefix) {
  QD_GDIP_ENTER();
  auto* f = GetFormat(format);
  if (!f || !hotkeyPrefix) return InvalidParameter;
  *hotkeyPrefix = f->hotkey;
  return Ok;
}

Status GdipSetStringFormatTabStops(GpStringFormat* format, REAL firstTabOffset, INT count,
                                   const REAL* tabStops) {
  QD_GDIP_ENTER();
  auto* f = GetFormat(format);
  if (!f || count < 0 || (count > 0 && !tabStops) || !Finite(firstTabOffset)) return InvalidParameter;
  for (INT i = 0; i < count; ++i)
    if (!Finite(tabStops[i])) return InvalidParameter;
  f->tabOffset = firstTabOffset;
  f->tabs.assign(tabStops, tabStops + count);
  return Ok;
}

Status GdipGetStringFormatTabStops(const GpStringFormat* format, INT count, REAL* firstTabOffset,
                                   REAL* tabStops) {
  QD_GDIP_ENTER();
  auto* f = GetFormat(format);
  if (!f || !firstTabOffset || count < 0 || (count > 0 && !tabStops)) return InvalidParameter;
  *firstTabOffset = f->tabOffset;
  for (INT i = 0; i < count; ++i) tabStops[i] = size_t(i) < f->tabs.size() ? f->tabs[i] : 0;
  return Ok;
}

Status GdipGetStringFormatTabStopCount(const GpStringFormat* format, INT* count) {
  QD_GDIP_ENTER();
  auto* f = GetFormat(format);
  if (!f || !count) return InvalidParameter;
  *count = static_cast<INT>(f->tabs.size());
  return Ok;
}

Status GdipSetStringFormatDigitSubstitution(GpStringFormat* format, LANGID language,
                                            StringDigitSubstitute substitute) {
  QD_GDIP_ENTER();
  auto* f = GetFormat(format);
  if (!f || substitute < StringDigitSubstituteUser || substitute > StringDigitSubstituteTraditional)
    return InvalidParameter;
  f->digitLanguage = language;
  f->digitSubstitute = substitute;
  return Ok;
}

Status GdipGetStringFormatDigitSubstitution(const GpStringFormat* format, LANGID* language,
                                            StringDigitSubstitute* substitute) {
  QD_GDIP_ENTER();
  auto* f = GetFormat(format);
  if (!f) return InvalidParameter;
  if (language) *language = f->digitLanguage;
  if (substitute) *substitute = f->digitSubstitute;
  return Ok;
}

Status GdipGetStringFormatMeasurableCharacterRangeCount(const GpStringFormat* format, INT* count) {
  QD_GDIP_ENTER();
  auto* f = GetFormat(format);
  if (!f || !count) return InvalidParameter;
  *count = static_cast<INT>(f->ranges.size());
  return Ok;
}

Status GdipSetStringFormatMeasurableCharacterRanges(GpStringFormat* format, INT rangeCount,
                                                    const CharacterRange* ranges) {
  QD_GDIP_ENTER();
  auto* f = GetFormat(format);
  if (!f || rangeCount < 0 || rangeCount > 32 || (rangeCount > 0 && !ranges)) return InvalidParameter;
  f->ranges.assign(ranges, ranges + rangeCount);
  return Ok;
}

// ---- Drawing and measuring -------------------------------------------------------------------

Status GdipDrawString(GpGraphics* graphics, const WCHAR* string, INT length, const GpFont* font,
                      const GpRectF* layoutRect, const GpStringFormat* stringFormat, const GpBrush* brush) {
  QD_GDIP_ENTER();
  auto* g = Get<Graphics>(graphics);
  auto* f = Get<Font>(font);
  auto* fmt = stringFormat ? GetFormat(stringFormat) : nullptr;
  auto* b = GetBrush(brush);
  if (!g || !f || !b || !layoutRect || (stringFormat && !fmt) || CheckText(string, length) != Ok ||
      !Finite(layoutRect->X, layoutRect->Y, layoutRect->Width, layoutRect->Height))
    return InvalidParameter;
  Status s = CheckGraphics(g);
  if (s != Ok) return s;
  TextLayout l;
  s = DoLayout(string, length, *f->family, f->style, WorldEm(*f, *g), *layoutRect, fmt, l);
  if (s != Ok || (l.glyphs.empty() && l.decorations.empty())) return s;
  Canvas c;
  s = c.Open(*g);
  if (s != Ok || c.Empty()) return s;
  cairo_t* cr = c.cr();
  cairo_pattern_t* p = MakePattern(*b, c);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
  INT flags = fmt ? fmt->flags : 0;
  Mx toSurface = c.UserToSurface();
  auto inRange = [&](double x, double y) {
    toSurface.Apply(x, y);
    return std::fabs(x) <= kMaxDeviceCoord && std::fabs(y) <= kMaxDeviceCoord;
  };
  if (!(flags & StringFormatFlagsNoClip) && (layoutRect->Width > 0 || layoutRect->Height > 0)) {
    // Clipped to the layout rectangle; a side of size 0 does not limit. Beyond the drawable
    // range the clip is left out: nothing can show there anyway.
    double scale = std::max(toSurface.Scale(), 1e-9);
    double far = kMaxDeviceCoord / scale;
    double x = layoutRect->Width > 0 ? layoutRect->X : -far,
           w = layoutRect->Width > 0 ? layoutRect->Width : 2 * far;
    double y = layoutRect->Height > 0 ? layoutRect->Y : -far,
           h = layoutRect->Height > 0 ? layoutRect->Height : 2 * far;
    if (inRange(x, y) && inRange(x + w, y) && inRange(x, y + h) && inRange(x + w, y + h)) {
      cairo_rectangle(cr, x, y, w, h);
      cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
      cairo_clip(cr);
    }
  }
  SetFont(cr, l, g->s.textHint);
  std::vector<cairo_glyph_t> glyphs;
  for (const auto& p : l.glyphs)
    if (inRange(p.x, p.y)) glyphs.push_back({p.index, p.x, p.y});
  if (l.emPx * toSurface.Scale() > 256) {
    // Large text is filled as outlines rather than rendered as glyph images.
    cairo_glyph_path(cr, glyphs.data(), static_cast<int>(glyphs.size()));
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_set_antialias(cr, g->s.textHint == TextRenderingHintSingleBitPerPixel ||
                                    g->s.textHint == TextRenderingHintSingleBitPerPixelGridFit
                                ? CAIRO_ANTIALIAS_NONE
                                : CAIRO_ANTIALIAS_GRAY);
  } else {
    cairo_show_glyphs(cr, glyphs.data(), static_cast<int>(glyphs.size()));
  }
  for (const auto& d : l.decorations)
    if (inRange(d.X, d.Y) && inRange(double(d.X) + d.Width, double(d.Y) + d.Height))
      cairo_rectangle(cr, d.X, d.Y, d.Width, d.Height);
  cairo_fill(cr);
  return Ok;
}

Status GdipMeasureString(GpGraphics* graphics, const WCHAR* string, INT length, const GpFont* font,
                         const GpRectF* layoutRect, const GpStringFormat* stringFormat, GpRectF* boundingBox,
                         INT* codepointsFitted, INT* linesFilled) {
  QD_GDIP_ENTER();
  auto* g = Get<Graphics>(graphics);
  auto* f = Get<Font>(font);
  auto* fmt = stringFormat ? GetFormat(stringFormat) : nullptr;
  if (!g || !f || !layoutRect || !boundingBox || (stringFormat && !fmt) || CheckText(string, length) != Ok ||
      !Finite(layoutRect->X, layoutRect->Y, layoutRect->Width, layoutRect->Height))
    return InvalidParameter;
  if (g->busy) return ObjectBusy;
  TextLayout l;
  Status s = DoLayout(string, length, *f->family, f->style, WorldEm(*f, *g), *layoutRect, fmt, l);
  if (s != Ok) return s;
  *boundingBox = l.bounds;
  if (codepointsFitted) *codepointsFitted = l.fitted;
  if (linesFilled) *linesFilled = l.lines;
  return Ok;
}

Status GdipMeasureCharacterRanges(GpGraphics* graphics, const WCHAR* string, INT length, const GpFont* font,
                                  const GpRectF& layoutRect, const GpStringFormat* stringFormat,
                                  INT regionCount, GpRegion** regions) {
  QD_GDIP_ENTER();
  auto* g = Get<Graphics>(graphics);
  auto* f = Get<Font>(font);
  auto* fmt = GetFormat(stringFormat);
  if (!g || !f || !fmt || !regions || CheckText(string, length) != Ok ||
      !Finite(layoutRect.X, layoutRect.Y, layoutRect.Width, layoutRect.Height))
    return InvalidParameter;
  if (g->busy) return ObjectBusy;
  INT len = length == -1 ? static_cast<INT>(std::char_traits<char16_t>::length(string)) : length;
  if (regionCount < static_cast<INT>(fmt->ranges.size())) return InvalidParameter;
  std::vector<Region*> out;
  for (size_t i = 0; i < fmt->ranges.size(); ++i) {
    auto* r = Get<Region>(regions[i]);
    if (!r) return InvalidParameter;
    const CharacterRange& cr = fmt->ranges[i];
    int64_t first = std::min(cr.First, cr.First + cr.Length), last = std::max(cr.First, cr.First + cr.Length);
    if (first < 0 || last > len) return InvalidParameter;
    out.push_back(r);
  }
  TextLayout l;
  Status s = DoLayout(string, length, *f->family, f->style, WorldEm(*f, *g), layoutRect, fmt, l);
  if (s != Ok) return s;
  for (size_t i = 0; i < out.size(); ++i) {
    const CharacterRange& cr = fmt->ranges[i];
    int first = std::min(cr.First, cr.First + cr.Length), last = std::max(cr.First, cr.First + cr.Length);
    // Cells of the range, merged along each line.
    RegionPtr root = MakeRegion(RegionNode::Empty);
    double runX = 0, runR = 0, runTop = 0;
    bool run = false;
    auto flush = [&] {
      if (run)
        root =
            CombineRegions(root, MakeRectRegion(runX, runTop, runR - runX, l.lineHeight), CombineModeUnion);
      run = false;
    };
    for (const CharCell& c : l.cells) {
      if (c.src < first || c.src >= last) {
        flush();
        continue;
      }
      if (run && c.top == runTop && std::fabs(c.x - runR) < 1e-6) {
        runR = c.x + c.width;
      } else {
        flush();
        run = true;
        runX = c.x;
        runR = c.x + c.width;
        runTop = c.top;
      }
    }
    flush();
    out[i]->root = root;
  }
  return Ok;
}

// ---- Paths -----------------------------------------------------------------------------------

Status GdipAddPathString(GpPath* path, const WCHAR* string, INT length, const GpFontFamily* family, INT style,
                         REAL emSize, const GpRectF* layoutRect, const GpStringFormat* format) {
  QD_GDIP_ENTER();
  auto* p = Get<Path>(path);
  auto* f = Get<FontFamily>(family);
  auto* fmt = format ? GetFormat(format) : nullptr;
  if (!p || !f || !layoutRect || (format && !fmt) || CheckText(string, length) != Ok || !Finite(emSize) ||
      emSize <= 0 || !Finite(layoutRect->X, layoutRect->Y, layoutRect->Width, layoutRect->Height))
    return InvalidParameter;
  return AddStringToPath(p->data, string, length, *f->data, style, emSize, *layoutRect, fmt);
}

Status GdipAddPathStringI(GpPath* path, const WCHAR* string, INT length, const GpFontFamily* family,
                          INT style, REAL emSize, const GpRect* layoutRect, const GpStringFormat* format) {
  if (!layoutRect) return InvalidParameter;
  GpRectF r{REAL(layoutRect->X), REAL(layoutRect->Y), REAL(layoutRect->Width), REAL(layoutRect->Height)};
  return GdipAddPathString(path, string, length, family, style, emSize, &r, format);
}

}  // namespace qd::gdiplus
