#pragma once
// Complex text for the GDI text calls and GDI+ strings: bidirectional order (FriBidi), shaping
// (HarfBuzz: joining forms, ligatures, marks, kerning) and font fallback (fontconfig) for
// characters the selected face lacks. Text that needs none of it is measured and drawn glyph by
// glyph with the face's own advances; SimpleUnit is the quick test for that.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <vector>

struct hb_buffer_t;

namespace qd::gdi {

class FontFace;

// Whether a UTF-16 unit can be drawn without shaping or reordering (Latin, Greek, Cyrillic,
// common punctuation and symbols; no marks, no right-to-left letters, no surrogates).
inline bool SimpleUnit(char16_t c) {
  if (c < 0x0300) return true;
  if (c < 0x0370) return false;  // combining marks
  if (c < 0x0483) return true;
  if (c < 0x048A) return false;  // Cyrillic combining marks
  if (c < 0x0590) return true;
  if (c < 0x2000) return false;
  if (c <= 0x200A) return true;  // spaces (the zero-width and direction marks follow)
  if (c < 0x2010) return false;
  if (c <= 0x2027) return true;  // dashes, quotes, ellipsis (embeddings follow)
  if (c < 0x2030) return false;
  if (c <= 0x205E) return true;
  if (c >= 0x20A0 && c <= 0x20C0) return true;  // currency
  if (c >= 0x2100 && c <= 0x23FF) return true;  // letterlike, numbers, arrows, mathematics
  if (c >= 0x2500 && c <= 0x25FF) return true;  // box drawing, shapes
  return false;
}

// Whether the text of a DC call needs the shaping engine: a quick scan of the units and of the
// face's coverage.
bool NeedsShaping(FontFace& face, const char16_t* s, size_t n);

// A face the engine shapes with: the GDI font faces, and the faces of GDI+ fonts.
class ShapingFace {
 public:
  virtual ~ShapingFace() = default;
  // 0 when the face lacks the character.
  virtual uint32_t GlyphIndexOf(char32_t c) = 0;
  // Runs HarfBuzz over the buffer; positions come out in 1/64 pixels.
  virtual void ShapeBuffer(hb_buffer_t* buffer) = 0;
  // A face that has `c`, for characters this one lacks; nullptr when none.
  virtual ShapingFace* FallbackFor(char32_t) { return nullptr; }
};

struct ShapedGlyph {
  ShapingFace* face = nullptr;  // the face asked for or a fallback face
  uint32_t index = 0;           // glyph index in `face`
  uint32_t unit = 0;            // first UTF-16 unit of its cluster
  double x = 0;                 // pen position from the cluster's left edge, pixels
  double dx = 0, dy = 0;        // offset from the pen position (y down): marks
};

struct ShapedText {
  std::vector<ShapedGlyph> glyphs;
  // Per UTF-16 unit, logical order: its share of its cluster's advance (ligatures share their
  // width among their letters; marks and the second unit of a pair get 0), the first unit of
  // its cluster, and whether it is read right to left.
  std::vector<double> advance;
  std::vector<uint32_t> cluster;
  std::vector<uint8_t> rtl;
  std::vector<uint32_t> visual;  // the units in visual order, left to right
};

// Shapes one line. rtlReading: the paragraph reads right to left (ETO_RTLREADING, DT_RTLREADING,
// a right-to-left string format). reorder false: the text is in display order already.
// wholePixels: clusters start and end on whole pixels, as GDI places them.
ShapedText ShapeText(ShapingFace& face, const char16_t* s, size_t n, bool rtlReading, bool reorder = true,
                     bool wholePixels = true);

// With the advances a caller settled on (its own or the shaped ones with spacing added): the
// left edge of every unit's cell and of every unit's cluster, from the line's left edge.
template <class T>
void UnitPositions(const ShapedText& st, const std::vector<T>& adv, std::vector<T>& cellLeft,
                   std::vector<T>& clusterLeft) {
  const size_t n = adv.size();
  cellLeft.assign(n, T(0));
  clusterLeft.assign(n, T(0));
  std::vector<uint8_t> seen(n, 0);
  // Integer advances may come from a caller's (or a file's) spacing array: they are summed
  // wide and the edges saturate instead of overflowing.
  using Sum = std::conditional_t<std::is_integral_v<T>, int64_t, T>;
  Sum x = 0;
  for (uint32_t u : st.visual) {
    if (u >= n) continue;
    if constexpr (std::is_integral_v<T>)
      cellLeft[u] = static_cast<T>(
          std::clamp<int64_t>(x, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
    else
      cellLeft[u] = x;
    x += adv[u];
  }
  for (size_t u = 0; u < n; ++u) {
    uint32_t c = u < st.cluster.size() ? st.cluster[u] : static_cast<uint32_t>(u);
    if (c >= n) continue;
    if (!seen[c] || cellLeft[u] < clusterLeft[c]) clusterLeft[c] = cellLeft[u];
    seen[c] = 1;
  }
  for (size_t u = 0; u < n; ++u)
    if (!seen[u]) clusterLeft[u] = cellLeft[u];
}

}  // namespace qd::gdi
