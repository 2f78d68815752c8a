// Logical fonts resolved through fontconfig to installed faces (DejaVu, Liberation), with
// metrics as GDI reports them and glyphs rendered by FreeType.
#include "platform/os/gdi_font.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#include <hb-ft.h>
#include <hb.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <list>
#include <map>

#include "platform/base/strings.h"

namespace qd::gdi {

namespace {

std::mutex& FontMutex() {
  static std::mutex m;
  return m;
}

FT_Library Library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    FT_Init_FreeType(&l);
    return l;
  }();
  return lib;
}

std::shared_ptr<std::vector<uint8_t>> FileData(const std::string& path) {
  static std::map<std::string, std::shared_ptr<std::vector<uint8_t>>> files;
  auto it = files.find(path);
  if (it != files.end()) return it->second;
  std::ifstream in(path, std::ios::binary);
  if (!in) return nullptr;
  auto data = std::make_shared<std::vector<uint8_t>>((std::istreambuf_iterator<char>(in)),
                                                     std::istreambuf_iterator<char>());
  files[path] = data;
  return data;
}

std::string Lower(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Faces the system's code asks for, mapped to installed faces of similar metrics.
const char* Substitute(const std::string& name) {
  static const std::pair<const char*, const char*> kTable[] = {
      {"arial", "Liberation Sans"},
      {"helvetica", "Liberation Sans"},
      {"ms sans serif", "Liberation Sans"},
      {"microsoft sans serif", "Liberation Sans"},
      {"ms shell dlg", "Liberation Sans"},
      {"system", "Liberation Sans"},
      {"segoe ui", "Liberation Sans"},
      {"tahoma", "DejaVu Sans Condensed"},
      {"ms shell dlg 2", "DejaVu Sans Condensed"},
      {"verdana", "DejaVu Sans"},
      {"lucida sans", "DejaVu Sans"},
      {"lucida sans unicode", "DejaVu Sans"},
      {"lucida grande", "DejaVu Sans"},
      {"courier new", "Liberation Mono"},
      {"courier", "Liberation Mono"},
      {"lucida console", "Liberation Mono"},
      {"consolas", "Liberation Mono"},
      {"fixedsys", "Liberation Mono"},
      {"terminal", "Liberation Mono"},
      {"times new roman", "Liberation Serif"},
      {"times", "Liberation Serif"},
      {"georgia", "Liberation Serif"},
      {"cambria", "Liberation Serif"},
  };
  for (const auto& [from, to] : kTable)
    if (name == from) return to;
  return nullptr;
}

struct Match {
  std::string file;
  int index = 0;
  std::string family;
  int weight = FW_NORMAL;
  bool italic = false;
};

// Our own fontconfig configuration: the installed font folders and the system cache, none of
// the system's or user's matching rules, so the same fonts resolve the same way everywhere.
FcConfig* Config() {
  static FcConfig* config = [] {
    FcConfig* c = FcConfigCreate();
    const char* xml =
        "<?xml version=\"1.0\"?><fontconfig><dir>/usr/share/fonts</dir><dir>/usr/local/share/fonts</dir>"
        "<cachedir>/var/cache/fontconfig</cachedir><cachedir "
        "prefix=\"xdg\">fontconfig</cachedir></fontconfig>";
    if (!c || !FcConfigParseAndLoadFromMemory(c, reinterpret_cast<const FcChar8*>(xml), FcTrue) ||
        !FcConfigBuildFonts(c))
      return static_cast<FcConfig*>(nullptr);
    return c;
  }();
  return config;
}

bool FcMatchFamily(const std::string& family, int weight, bool italic, Match& out) {
  FcConfig* config = Config();
  if (!config) return false;
  FcPattern* pat = FcPatternCreate();
  FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pat, FC_WEIGHT, FcWeightFromOpenType(weight));
  FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult result;
  FcPattern* m = FcFontMatch(config, pat, &result);
  FcPatternDestroy(pat);
  if (!m) return false;
  bool found = false;
  FcChar8* fam = nullptr;
  for (int i = 0; FcPatternGetString(m, FC_FAMILY, i, &fam) == FcResultMatch; ++i)
    if (Lower(reinterpret_cast<const char*>(fam)) == Lower(family)) found = true;
  FcChar8* file = nullptr;
  if (found && FcPatternGetString(m, FC_FILE, 0, &file) == FcResultMatch) {
    out.file = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(m, FC_INDEX, 0, &out.index);
    out.family = family;
    int w = 0, slant = 0;
    if (FcPatternGetInteger(m, FC_WEIGHT, 0, &w) == FcResultMatch) out.weight = FcWeightToOpenType(w);
    if (FcPatternGetInteger(m, FC_SLANT, 0, &slant) == FcResultMatch) out.italic = slant != FC_SLANT_ROMAN;
  } else {
    found = false;
  }
  FcPatternDestroy(m);
  return found;
}

}  // namespace

std::u32string ToCodePoints(const char16_t* s, size_t n, std::vector<size_t>* unitIndex) {
  std::u32string out;
  out.reserve(n);
  if (unitIndex) unitIndex->clear();
  for (size_t i = 0; i < n; ++i) {
    char32_t c = s[i];
    size_t start = i;
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    out.push_back(c);
    if (unitIndex) unitIndex->push_back(start);
  }
  return out;
}

FontFace::~FontFace() {
  if (hb_) hb_font_destroy(hb_);
  if (face_) FT_Done_Face(static_cast<FT_Face>(face_));
}

std::shared_ptr<FontFace> FontFace::For(const LOGFONTW& lf) {
  std::lock_guard lock(FontMutex());
  // Equal logical fonts share one face; the cache keeps the most recent ones.
  static std::list<std::pair<std::string, std::shared_ptr<FontFace>>> cache;
  // The key is the logical font with everything after the face name's end cleared.
  LOGFONTW k = lf;
  bool ended = false;
  for (auto& ch : k.lfFaceName) {
    ended = ended || ch == 0;
    if (ended) ch = 0;
  }
  std::string key(reinterpret_cast<const char*>(&k), sizeof k);
  for (auto it = cache.begin(); it != cache.end(); ++it)
    if (it->first == key) {
      cache.splice(cache.begin(), cache, it);
      return it->second;
    }
  std::shared_ptr<FontFace> f(new FontFace);
  if (!f->Load(lf)) return nullptr;
  cache.emplace_front(key, f);
  if (cache.size() > 128) cache.pop_back();
  return f;
}

bool FontFace::Load(const LOGFONTW& lf) {
  size_t len = 0;
  while (len < LF_FACESIZE && lf.lfFaceName[len]) ++len;
  faceName.assign(lf.lfFaceName, len);
  lf_ = lf;
  std::string name = Lower(StringToUtf8(faceName));
  int weight = lf.lfWeight > 0 ? std::clamp<int>(lf.lfWeight, 1, 1000) : FW_NORMAL;
  bool italic = lf.lfItalic != 0;
  Match m;
  bool ok = false;
  if (const char* sub = Substitute(name)) ok = FcMatchFamily(sub, weight, italic, m);
  if (!ok && !name.empty()) ok = FcMatchFamily(StringToUtf8(faceName), weight, italic, m);
  if (!ok) {
    BYTE fam = lf.lfPitchAndFamily & 0xF0, pitch = lf.lfPitchAndFamily & 3;
    const char* fallback = fam == FF_ROMAN                              ? "Liberation Serif"
                           : (fam == FF_MODERN || pitch == FIXED_PITCH) ? "Liberation Mono"
                                                                        : "Liberation Sans";
    ok = FcMatchFamily(fallback, weight, italic, m) || FcMatchFamily("DejaVu Sans", weight, italic, m);
  }
  if (!ok) return false;
  family = m.family;
  file = m.file;
  data_ = FileData(m.file);
  if (!data_ || !Library()) return false;
  FT_Face face = nullptr;
  if (FT_New_Memory_Face(Library(), data_->data(), static_cast<FT_Long>(data_->size()), m.index, &face) != 0)
    return false;
  face_ = face;
  synthBold_ = weight >= 600 && m.weight < 600;
  synthItalic_ = italic && !m.italic;
  mono = lf.lfQuality == NONANTIALIASED_QUALITY;
  emSquare = face->units_per_EM ? face->units_per_EM : 2048;

  const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const TT_HoriHeader* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  const TT_Postscript* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST));
  double winAscent = os2 ? os2->usWinAscent : face->ascender;
  double winDescent = os2 ? os2->usWinDescent : -face->descender;
  double cell = winAscent + winDescent;
  if (cell <= 0) cell = emSquare;
  // lfHeight < 0: the character (em) height; > 0: the cell height; 0: a default cell of 16.
  int32_t height = lf.lfHeight;
  if (height == INT32_MIN) height = -16;
  if (height < 0)
    ppem = std::min(-height, 2000);
  else
    ppem = static_cast<int32_t>(std::lround((height == 0 ? 16 : std::min(height, 2000)) * emSquare / cell));
  ppem = std::max(ppem, 1);
  double scale = static_cast<double>(ppem) / emSquare;
  int32_t ascent = static_cast<int32_t>(std::lround(winAscent * scale));
  int32_t descent = static_cast<int32_t>(std::lround(winDescent * scale));
  if (height > 0 && ascent + descent != height) descent = std::max(height - ascent, 0);
  int32_t aveWidth =
      os2 && os2->xAvgCharWidth > 0 ? static_cast<int32_t>(std::lround(os2->xAvgCharWidth * scale)) : 0;
  xppem_ = ppem;
  if (lf.lfWidth > 0 && aveWidth > 0) {
    double x = std::min(double(ppem) * lf.lfWidth / aveWidth, 4000.0);
    xppem_ = std::clamp(static_cast<int32_t>(std::lround(x)), 1, 4000);
    aveWidth = lf.lfWidth;
  }
  FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(xppem_), static_cast<FT_UInt>(ppem));
  if (aveWidth <= 0) aveWidth = std::max(GlyphFor(U'x').advance, 1);

  tm_ = TEXTMETRICW{};
  tm_.tmAscent = ascent;
  tm_.tmDescent = descent;
  tm_.tmHeight = ascent + descent;
  tm_.tmInternalLeading = std::max(tm_.tmHeight - ppem, 0);
  if (hhea) {
    double gap = hhea->Line_Gap - ((winAscent + winDescent) - (hhea->Ascender - hhea->Descender));
    tm_.tmExternalLeading = std::max<LONG>(0, static_cast<LONG>(std::lround(gap * scale)));
    tm_.tmMaxCharWidth = static_cast<LONG>(std::lround(hhea->advance_Width_Max * scale * xppem_ / ppem));
  }
  tm_.tmAveCharWidth = aveWidth;
  tm_.tmWeight = weight;
  tm_.tmOverhang = 0;
  tm_.tmDigitizedAspectX = tm_.tmDigitizedAspectY = ScreenDpi();
  tm_.tmFirstChar = 0x20;
  tm_.tmLastChar = 0xFFFC;
  tm_.tmDefaultChar = 0x1F;
  tm_.tmBreakChar = 0x20;
  tm_.tmItalic = italic ? 1 : 0;
  tm_.tmUnderlined = lf.lfUnderline ? 1 : 0;
  tm_.tmStruckOut = lf.lfStrikeOut ? 1 : 0;
  BYTE familyBits = family.find("Serif") != std::string::npos  ? FF_ROMAN
                    : family.find("Mono") != std::string::npos ? FF_MODERN
                                                               : FF_SWISS;
  // The desktop's raster fonts are drawn from an installed outline face here, but they keep
  // what callers rely on: they are not TrueType and they do not rotate.
  static const char* const kRasterFaces[] = {"system",   "fixedsys",    "terminal", "ms sans serif",
                                             "ms serif", "small fonts", "courier"};
  const bool raster =
      std::find(std::begin(kRasterFaces), std::end(kRasterFaces), name) != std::end(kRasterFaces);
  // TMPF_FIXED_PITCH set means a variable pitch font, as on the original.
  tm_.tmPitchAndFamily = static_cast<BYTE>((raster ? 0 : TMPF_VECTOR | TMPF_TRUETYPE) |
                                           (FT_IS_FIXED_WIDTH(face) ? 0 : TMPF_FIXED_PITCH) | familyBits);
  tm_.tmCharSet = lf.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : lf.lfCharSet;
  if (post) {
    underlinePos = std::max(1, static_cast<int32_t>(std::lround(-post->underlinePosition * scale)));
    underlineThickness = std::max(1, static_cast<int32_t>(std::lround(post->underlineThickness * scale)));
  } else {
    underlinePos = std::max(1, descent / 2);
  }
  underlinePos = std::min(underlinePos, std::max(descent - 1, 1));
  if (os2 && os2->yStrikeoutSize > 0) {
    strikePos = static_cast<int32_t>(std::lround(os2->yStrikeoutPosition * scale));
    strikeThickness = std::max(1, static_cast<int32_t>(std::lround(os2->yStrikeoutSize * scale)));
  } else {
    strikePos = ascent / 3;
  }
  escapement = raster ? 0 : lf.lfEscapement / 10.0 * 3.14159265358979323846 / 180.0;
  return true;
}

bool FontFace::LoadGlyph(uint32_t index, bool transformed) {
  auto face = static_cast<FT_Face>(face_);
  FT_Int32 flags = mono ? (FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) : FT_LOAD_TARGET_NORMAL;
  if (transformed) flags |= FT_LOAD_NO_HINTING;
  if (FT_Load_Glyph(face, index, flags) != 0) return false;
  FT_GlyphSlot slot = face->glyph;
  if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    if (synthBold_) FT_Outline_Embolden(&slot->outline, std::max<FT_Pos>(ppem * 64 / 24, 32));
    if (synthItalic_) {
      FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};  // about 12 degrees
      FT_Outline_Transform(&slot->outline, &shear);
    }
  }
  return true;
}

namespace {

// Copies a rendered bitmap whose top-left pixel lies at (left, top) from the pen position.
void CopyBitmap(const FT_Bitmap& bm, int32_t left, int32_t top, Glyph& g) {
  g.left = left;
  g.top = top;
  g.w = static_cast<int32_t>(bm.width);
  g.h = static_cast<int32_t>(bm.rows);
  g.cov.assign(static_cast<size_t>(g.w) * g.h, 0);
  for (int32_t y = 0; y < g.h; ++y) {
    const uint8_t* row = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
    for (int32_t x = 0; x < g.w; ++x) {
      uint8_t v;
      if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
        v = ((row[x >> 3] >> (7 - (x & 7))) & 1) ? 255 : 0;
      else
        v = row[x];
      g.cov[static_cast<size_t>(y) * g.w + x] = v;
    }
  }
}

void CopyBitmap(FT_GlyphSlot slot, Glyph& g) {
  CopyBitmap(slot->bitmap, slot->bitmap_left, -slot->bitmap_top, g);
}

// Renders only the part of the loaded outline inside `window` (pixels from the pen position,
// y down), so that a glyph magnified far beyond the visible area costs no more than that area.
// Returns false when the whole glyph fits in the window and can be rendered as usual.
bool RenderClipped(FT_GlyphSlot slot, bool mono, const RECT& window, Glyph& g) {
  FT_BBox box;
  FT_Outline_Get_CBox(&slot->outline, &box);
  // Pixel bounds, y down.
  int64_t x0 = box.xMin >> 6, x1 = (static_cast<int64_t>(box.xMax) + 63) >> 6;
  int64_t y0 = -((static_cast<int64_t>(box.yMax) + 63) >> 6), y1 = -(box.yMin >> 6);
  if (x0 >= window.Left && y0 >= window.Top && x1 <= window.Right && y1 <= window.Bottom) return false;
  x0 = std::max<int64_t>(x0, window.Left);
  y0 = std::max<int64_t>(y0, window.Top);
  x1 = std::min<int64_t>(x1, window.Right);
  y1 = std::min<int64_t>(y1, window.Bottom);
  if (x0 >= x1 || y0 >= y1) return true;
  FT_Bitmap bm;
  FT_Bitmap_Init(&bm);
  bm.width = static_cast<unsigned>(x1 - x0);
  bm.rows = static_cast<unsigned>(y1 - y0);
  bm.pitch = mono ? static_cast<int>((bm.width + 7) / 8) : static_cast<int>(bm.width);
  bm.pixel_mode = mono ? FT_PIXEL_MODE_MONO : FT_PIXEL_MODE_GRAY;
  bm.num_grays = mono ? 2 : 256;
  std::vector<uint8_t> pixels(static_cast<size_t>(bm.pitch) * bm.rows, 0);
  bm.buffer = pixels.data();
  // The bitmap's lower-left corner is the outline's origin.
  FT_Outline_Translate(&slot->outline, static_cast<FT_Pos>(-x0 * 64), static_cast<FT_Pos>(y1 * 64));
  if (FT_Outline_Get_Bitmap(Library(), &slot->outline, &bm) == 0)
    CopyBitmap(bm, static_cast<int32_t>(x0), static_cast<int32_t>(y0), g);
  return true;
}

}  // namespace

const Glyph& FontFace::GlyphFor(char32_t c) {
  std::lock_guard lock(mutex_);
  auto it = cache_.find(c);
  if (it != cache_.end()) return it->second;
  Glyph& g = cache_[c];
  if (Invisible(c)) return g;
  g.index = FT_Get_Char_Index(static_cast<FT_Face>(face_), c);
  MeasureGlyph(g);
  return g;
}

void FontFace::MeasureGlyph(Glyph& g) {
  auto face = static_cast<FT_Face>(face_);
  FT_Set_Transform(face, nullptr, nullptr);
  if (!LoadGlyph(g.index, false)) return;
  FT_GlyphSlot slot = face->glyph;
  g.advance = static_cast<int32_t>((slot->advance.x + 32) >> 6);
  if (synthBold_) g.advance += 1;
  g.abcA = static_cast<int32_t>(slot->metrics.horiBearingX >> 6);
  g.abcB = static_cast<int32_t>((slot->metrics.width + 63) >> 6);
  if (FT_Render_Glyph(slot, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) == 0) CopyBitmap(slot, g);
}

bool FontFace::Render(char32_t c, const double m[4], double fx, double fy, Glyph& out, const RECT* window) {
  std::lock_guard lock(mutex_);
  out = Glyph{};
  if (Invisible(c)) return true;
  return RenderTransformed(FT_Get_Char_Index(static_cast<FT_Face>(face_), c), m, fx, fy, out, window);
}

bool FontFace::RenderTransformed(uint32_t index, const double m[4], double fx, double fy, Glyph& out,
                                 const RECT* window) {
  auto face = static_cast<FT_Face>(face_);
  // FreeType's y axis points up: conjugate the y-down matrix.
  FT_Matrix mat{
      static_cast<FT_Fixed>(std::lround(m[0] * 65536)), static_cast<FT_Fixed>(std::lround(-m[1] * 65536)),
      static_cast<FT_Fixed>(std::lround(-m[2] * 65536)), static_cast<FT_Fixed>(std::lround(m[3] * 65536))};
  FT_Vector delta{static_cast<FT_Pos>(std::lround(fx * 64)), static_cast<FT_Pos>(std::lround(-fy * 64))};
  FT_Set_Transform(face, &mat, &delta);
  bool ok = LoadGlyph(index, true);
  if (ok && !(window && face->glyph->format == FT_GLYPH_FORMAT_OUTLINE &&
              RenderClipped(face->glyph, mono, *window, out))) {
    ok = FT_Render_Glyph(face->glyph, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) == 0;
    if (ok) CopyBitmap(face->glyph, out);
  }
  FT_Set_Transform(face, nullptr, nullptr);
  return ok;
}

uint32_t FontFace::GlyphIndex(char32_t c) {
  std::lock_guard lock(mutex_);
  return FT_Get_Char_Index(static_cast<FT_Face>(face_), c);
}

const Glyph& FontFace::GlyphAt(uint32_t index) {
  std::lock_guard lock(mutex_);
  auto it = indexCache_.find(index);
  if (it != indexCache_.end()) return it->second;
  Glyph& g = indexCache_[index];
  g.index = index;
  MeasureGlyph(g);
  return g;
}

bool FontFace::RenderIndex(uint32_t index, const double m[4], double fx, double fy, Glyph& out,
                           const RECT* window) {
  std::lock_guard lock(mutex_);
  out = Glyph{};
  return RenderTransformed(index, m, fx, fy, out, window);
}

namespace {

struct OutlineSink {
  std::vector<std::vector<PointD>>* figures;
  PointD last{0, 0};
  static PointD At(const FT_Vector* v) { return {v->x / 64.0, -v->y / 64.0}; }
  void LineTo(PointD p) {
    figures->back().push_back(p);
    last = p;
  }
  // Curves become chords; eight per curve keep a caption's outline smooth at label sizes.
  static constexpr int kSteps = 8;
};

int OutlineMoveTo(const FT_Vector* to, void* user) {
  auto* sink = static_cast<OutlineSink*>(user);
  sink->figures->emplace_back();
  sink->LineTo(OutlineSink::At(to));
  return 0;
}

int OutlineLineTo(const FT_Vector* to, void* user) {
  static_cast<OutlineSink*>(user)->LineTo(OutlineSink::At(to));
  return 0;
}

int OutlineConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
  auto* sink = static_cast<OutlineSink*>(user);
  const PointD p0 = sink->last, p1 = OutlineSink::At(control), p2 = OutlineSink::At(to);
  for (int i = 1; i <= OutlineSink::kSteps; ++i) {
    const double t = static_cast<double>(i) / OutlineSink::kSteps, u = 1 - t;
    sink->LineTo(
        {u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x, u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y});
  }
  return 0;
}

int OutlineCubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
  auto* sink = static_cast<OutlineSink*>(user);
  const PointD p0 = sink->last, p1 = OutlineSink::At(c1), p2 = OutlineSink::At(c2), p3 = OutlineSink::At(to);
  for (int i = 1; i <= OutlineSink::kSteps; ++i) {
    const double t = static_cast<double>(i) / OutlineSink::kSteps, u = 1 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    sink->LineTo({a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
  }
  return 0;
}

}  // namespace

bool FontFace::OutlineIndex(uint32_t index, std::vector<std::vector<PointD>>& figures) {
  std::lock_guard lock(mutex_);
  auto face = static_cast<FT_Face>(face_);
  FT_Set_Transform(face, nullptr, nullptr);
  if (FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) return false;
  FT_GlyphSlot slot = face->glyph;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return false;
  if (synthBold_) FT_Outline_Embolden(&slot->outline, std::max<FT_Pos>(ppem * 64 / 24, 32));
  if (synthItalic_) {
    FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};
    FT_Outline_Transform(&slot->outline, &shear);
  }
  const FT_Outline_Funcs funcs{&OutlineMoveTo, &OutlineLineTo, &OutlineConicTo, &OutlineCubicTo, 0, 0};
  OutlineSink sink{&figures};
  return FT_Outline_Decompose(&slot->outline, &funcs, &sink) == 0;
}

void FontFace::Shape(hb_buffer_t* buffer) {
  std::lock_guard lock(mutex_);
  auto face = static_cast<FT_Face>(face_);
  FT_Set_Transform(face, nullptr, nullptr);
  if (!hb_) {
    hb_ = hb_ft_font_create_referenced(face);
    // The advances GlyphFor measures: hinted, whole pixels.
    hb_ft_font_set_load_flags(hb_, mono ? (FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) : FT_LOAD_TARGET_NORMAL);
  }
  hb_shape(hb_, buffer, nullptr, 0);
  if (!synthBold_) return;
  unsigned n = 0;
  hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, &n);
  for (unsigned i = 0; i < n; ++i)
    if (pos[i].x_advance) pos[i].x_advance += 64;
}

FontFace* FontFace::Fallback(char32_t c) {
  std::lock_guard lock(fallbackMutex_);
  auto known = fallbackOf_.find(c);
  if (known != fallbackOf_.end()) return known->second;
  FontFace*& result = fallbackOf_[c];
  FcConfig* config = Config();
  if (!config) return nullptr;
  FcCharSet* set = FcCharSetCreate();
  FcCharSetAddChar(set, c);
  FcPattern* pat = FcPatternCreate();
  FcPatternAddCharSet(pat, FC_CHARSET, set);
  FcPatternAddInteger(pat, FC_WEIGHT, FcWeightFromOpenType(tm_.tmWeight));
  FcPatternAddInteger(pat, FC_SLANT, tm_.tmItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult res;
  FcPattern* m = FcFontMatch(config, pat, &res);
  FcPatternDestroy(pat);
  FcCharSetDestroy(set);
  if (!m) return nullptr;
  FcCharSet* has = nullptr;
  FcChar8* fam = nullptr;
  std::string familyName;
  if (FcPatternGetCharSet(m, FC_CHARSET, 0, &has) == FcResultMatch && FcCharSetHasChar(has, c) &&
      FcPatternGetString(m, FC_FAMILY, 0, &fam) == FcResultMatch)
    familyName = reinterpret_cast<const char*>(fam);
  FcPatternDestroy(m);
  if (familyName.empty() || familyName == family) return nullptr;
  auto& face = fallbacks_[familyName];
  if (!face) {
    // Same em size and style as this face, so that the scripts sit on one baseline at one size.
    LOGFONTW lf = lf_;
    lf.lfHeight = -ppem;
    lf.lfWidth = 0;
    lf.lfEscapement = lf.lfOrientation = 0;
    std::fill(std::begin(lf.lfFaceName), std::end(lf.lfFaceName), char16_t(0));
    String name = Utf8ToString(familyName);
    std::copy_n(name.begin(), std::min<size_t>(name.size(), LF_FACESIZE - 1), lf.lfFaceName);
    face = FontFace::For(lf);
    if (face && face->GlyphIndex(c) == 0) face = nullptr;
  }
  result = face.get();
  return result;
}

LOGFONTW Font::Logical() const {
  LOGFONTW l = lf;
  if (points > 0) l.lfHeight = -((points * ScreenDpi() + 36) / 72);
  return l;
}

std::shared_ptr<FontFace> DcFace(const Dc& dc) {
  Font* f = Find<Font>(dc.s.font);
  if (!f) f = Find<Font>(StockObject(SYSTEM_FONT));
  if (!f) return nullptr;
  if (!f->face || (f->points > 0 && f->faceDpi != ScreenDpi())) {
    f->face = FontFace::For(f->Logical());
    f->faceDpi = ScreenDpi();
  }
  return f->face;
}

}  // namespace qd::gdi

namespace qd {
using namespace gdi;

HFONT CreateFontIndirectW(const LOGFONTW* lf) {
  if (!lf) return nullptr;
  auto f = std::make_unique<Font>();
  f->lf = *lf;
  f->lf.lfFaceName[LF_FACESIZE - 1] = 0;
  return static_cast<HFONT>(AddObject(std::move(f)));
}

HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, LPCWSTR faceName) {
  LOGFONTW lf;
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = static_cast<BYTE>(italic != 0);
  lf.lfUnderline = static_cast<BYTE>(underline != 0);
  lf.lfStrikeOut = static_cast<BYTE>(strikeOut != 0);
  lf.lfCharSet = static_cast<BYTE>(charSet);
  lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
  lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
  lf.lfQuality = static_cast<BYTE>(quality);
  lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
  if (faceName)
    for (int i = 0; i < LF_FACESIZE - 1 && faceName[i]; ++i) lf.lfFaceName[i] = faceName[i];
  return CreateFontIndirectW(&lf);
}

BOOL GetTextMetricsW(HDC h, TEXTMETRICW* metrics) {
  Dc* dc = FindDc(h);
  if (!dc || !metrics) return FALSE;
  auto face = DcFace(*dc);
  if (!face) return FALSE;
  *metrics = face->Metrics();
  return TRUE;
}

UINT GetOutlineTextMetricsW(HDC h, UINT size, OUTLINETEXTMETRICW* otm) {
  Dc* dc = FindDc(h);
  if (!dc) return 0;
  auto face = DcFace(*dc);
  if (!face) return 0;
  if (!otm) return sizeof(OUTLINETEXTMETRICW);
  if (size < sizeof(OUTLINETEXTMETRICW)) return 0;
  OUTLINETEXTMETRICW o;
  o.otmSize = sizeof(OUTLINETEXTMETRICW);
  o.otmTextMetrics = face->Metrics();
  o.otmEMSquare = static_cast<UINT>(face->emSquare);
  o.otmAscent = face->Metrics().tmAscent - face->Metrics().tmInternalLeading;
  o.otmDescent = -face->Metrics().tmDescent;
  o.otmLineGap = static_cast<UINT>(face->Metrics().tmExternalLeading);
  o.otmsUnderscorePosition = -face->underlinePos;
  o.otmsUnderscoreSize = face->underlineThickness;
  o.otmsStrikeoutPosition = face->strikePos;
  o.otmsStrikeoutSize = static_cast<UINT>(face->strikeThickness);
  o.otmrcFontBox = {0, face->Metrics().tmAscent, face->Metrics().tmMaxCharWidth, -face->Metrics().tmDescent};
  o.otmMacAscent = o.otmAscent;
  o.otmMacDescent = o.otmDescent;
  *otm = o;
  return sizeof(OUTLINETEXTMETRICW);
}

int GetTextFaceW(HDC h, int count, LPWSTR name) {
  Dc* dc = FindDc(h);
  if (!dc) return 0;
  auto face = DcFace(*dc);
  if (!face) return 0;
  String n = face->faceName.empty() ? Utf8ToString(face->family) : face->faceName;
  if (!name) return static_cast<int>(n.size()) + 1;
  if (count <= 0) return 0;
  auto c = static_cast<int>(std::min<size_t>(n.size(), static_cast<size_t>(count - 1)));
  std::copy_n(n.begin(), c, name);
  name[c] = 0;
  return c + 1;
}

BOOL GetCharWidth32W(HDC h, UINT first, UINT last, LPINT widths) {
  Dc* dc = FindDc(h);
  if (!dc || !widths || last < first || last - first > 0x10FFFF) return FALSE;
  auto face = DcFace(*dc);
  if (!face) return FALSE;
  for (UINT c = first; c <= last; ++c) widths[c - first] = face->Advance(c);
  return TRUE;
}

BOOL GetCharWidthW(HDC h, UINT first, UINT last, LPINT widths) {
  return GetCharWidth32W(h, first, last, widths);
}

BOOL GetCharABCWidthsW(HDC h, UINT first, UINT last, ABC* widths) {
  Dc* dc = FindDc(h);
  if (!dc || !widths || last < first || last - first > 0x10FFFF) return FALSE;
  auto face = DcFace(*dc);
  if (!face) return FALSE;
  for (UINT c = first; c <= last; ++c) {
    const Glyph& g = face->GlyphFor(c);
    ABC& abc = widths[c - first];
    abc.abcA = g.abcA;
    abc.abcB = static_cast<UINT>(std::max(g.abcB, 0));
    abc.abcC = g.advance - g.abcA - static_cast<int>(abc.abcB);
  }
  return TRUE;
}

DWORD GetFontLanguageInfo(HDC h) {
  return FindDc(h) ? 0 : GCP_ERROR;
}

}  // namespace qd
