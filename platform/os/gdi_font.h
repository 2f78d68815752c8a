#pragma once
// Fonts over FreeType and fontconfig: logical fonts resolved to installed faces, metrics with
// GDI's meaning, and cached glyph coverage.
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/os/gdi_internal.h"
#include "platform/os/gdi_shape.h"

struct hb_font_t;

namespace qd::gdi {

struct Glyph {
  int32_t advance = 0;  // pixels
  int32_t left = 0;     // bitmap origin relative to the pen position (x right, y down)
  int32_t top = 0;
  int32_t w = 0, h = 0;
  std::vector<uint8_t> cov;  // w * h coverage, 0..255
  int32_t abcA = 0;          // ABC widths of the outline
  int32_t abcB = 0;
  uint32_t index = 0;  // in the face; 0 when the face lacks the character
};

class FontFace : public ShapingFace {
 public:
  ~FontFace() override;
  // The face for a logical font (shared among equal logical fonts).
  static std::shared_ptr<FontFace> For(const LOGFONTW& lf);

  const TEXTMETRICW& Metrics() const { return tm_; }
  // The glyph of a code point, unrotated; cached.
  const Glyph& GlyphFor(char32_t c);
  // Renders a code point under a 2x2 matrix (x right, y down) at a sub-pixel offset; with a
  // window (pixels from the pen position, y down), only the part inside it.
  bool Render(char32_t c, const double m[4], double fx, double fy, Glyph& out, const RECT* window = nullptr);
  int32_t Advance(char32_t c) { return GlyphFor(c).advance; }
  // The same by glyph index (shaped text).
  uint32_t GlyphIndex(char32_t c);
  const Glyph& GlyphAt(uint32_t index);
  bool RenderIndex(uint32_t index, const double m[4], double fx, double fy, Glyph& out,
                   const RECT* window = nullptr);
  // The unhinted outline of a glyph as closed figures in pixels relative to the pen position
  // (x right, y down), curves flattened; false when the glyph has no outline.
  bool OutlineIndex(uint32_t index, std::vector<std::vector<PointD>>& figures);
  // Shapes a HarfBuzz buffer with this face: positions in 26.6 pixels, hinted advances as
  // GlyphFor measures them.
  void Shape(hb_buffer_t* buffer);
  // An installed face of the same size and style that has `c`, for characters this face
  // lacks; nullptr when no installed face has it.
  FontFace* Fallback(char32_t c);
  uint32_t GlyphIndexOf(char32_t c) override;
  void ShapeBuffer(hb_buffer_t* buffer) override;
  ShapingFace* FallbackFor(char32_t c) override;

  std::u16string faceName;  // as the logical font asked for it
  std::string family;       // the installed family it resolved to
  std::string file;
  int32_t ppem = 0;
  int32_t underlinePos = 0, underlineThickness = 1;  // below the baseline, pixels
  int32_t strikePos = 0, strikeThickness = 1;        // above the baseline
  double escapement = 0;                             // radians, counter-clockwise
  bool mono = false;
  int32_t emSquare = 2048;

 private:
  FontFace() = default;
  bool Load(const LOGFONTW& lf);
  bool LoadGlyph(uint32_t index, bool transformed);
  // With the lock held: fills g's metrics and picture from its glyph index, untransformed.
  void MeasureGlyph(Glyph& g);
  // With the lock held: the glyph drawn through the y-down matrix m at sub-pixel offset (fx, fy).
  bool RenderTransformed(uint32_t index, const double m[4], double fx, double fy, Glyph& out,
                         const RECT* window);

  void* face_ = nullptr;  // FT_Face
  std::shared_ptr<std::vector<uint8_t>> data_;
  TEXTMETRICW tm_;
  bool synthBold_ = false;
  bool synthItalic_ = false;
  int32_t xppem_ = 0;
  std::unordered_map<char32_t, Glyph> cache_;
  std::unordered_map<uint32_t, Glyph> indexCache_;
  hb_font_t* hb_ = nullptr;
  LOGFONTW lf_;
  std::unordered_map<char32_t, FontFace*> fallbackOf_;
  std::unordered_map<std::string, std::shared_ptr<FontFace>> fallbacks_;  // by family
  std::mutex mutex_;
  std::mutex fallbackMutex_;
};

// The face of the font selected into a DC (the stock system font when none).
std::shared_ptr<FontFace> DcFace(const Dc& dc);
// Whether a code unit is drawn at all (control characters are not).
inline bool Invisible(char32_t c) {
  return c < 0x20 || c == 0x7F;
}
// Decodes UTF-16 (unpaired surrogates become U+FFFD).
std::u32string ToCodePoints(const char16_t* s, size_t n, std::vector<size_t>* unitIndex = nullptr);

}  // namespace qd::gdi
