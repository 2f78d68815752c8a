#pragma once
// Internals of the visual-styles engine shared by the uxtheme_*.cpp files: the raster canvas
// the parts are painted on, the catalogue of classes and parts, and theme handles.
// Not for use outside platform/os.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/base/types.h"
#include "platform/os/uxtheme.h"

namespace qd::theme {

// ---- Colours ---------------------------------------------------------------------------------
// Straight (not premultiplied) 0xAARRGGBB; alpha 0 means "none".
using Argb = uint32_t;
constexpr Argb Rgb(int r, int g, int b) {
  return 0xFF000000u | (static_cast<Argb>(r) << 16) | (static_cast<Argb>(g) << 8) | static_cast<Argb>(b);
}
constexpr Argb WithAlpha(Argb c, int alpha) {
  return (c & 0xFFFFFFu) | (static_cast<Argb>(alpha) << 24);
}
constexpr COLORREF ToColorRef(Argb c) {
  return ((c >> 16) & 0xFF) | (c & 0xFF00) | ((c & 0xFF) << 16);
}
constexpr Argb FromColorRef(COLORREF c) {
  return Rgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// The palette of the look. Glyphs never use pure black: painters turn black pixels of
// scaled parts transparent.
namespace pal {
constexpr Argb Accent = Rgb(0, 120, 215);
constexpr Argb AccentHot = Rgb(26, 134, 217);
constexpr Argb AccentPressed = Rgb(0, 90, 158);
constexpr Argb AccentDark = Rgb(0, 84, 153);
constexpr Argb HotFill = Rgb(229, 241, 251);
constexpr Argb HotBorder = Rgb(126, 180, 234);
constexpr Argb PressedFill = Rgb(204, 228, 247);
constexpr Argb PressedBorder = Rgb(86, 157, 229);
constexpr Argb ItemHot = Rgb(229, 243, 255);
constexpr Argb ItemSelected = Rgb(204, 232, 255);
constexpr Argb ItemSelectedBorder = Rgb(153, 209, 255);
constexpr Argb ItemInactive = Rgb(217, 217, 217);
constexpr Argb Window = Rgb(255, 255, 255);
constexpr Argb Face = Rgb(240, 240, 240);
constexpr Argb Raised = Rgb(253, 253, 253);
constexpr Argb Line = Rgb(229, 229, 229);
constexpr Argb Border = Rgb(208, 208, 208);
constexpr Argb FieldBorder = Rgb(190, 190, 190);
constexpr Argb FieldBorderHot = Rgb(128, 128, 128);
constexpr Argb ControlBorder = Rgb(133, 133, 133);
constexpr Argb DisabledFill = Rgb(245, 245, 245);
constexpr Argb DisabledBorder = Rgb(220, 220, 220);
constexpr Argb DisabledGlyph = Rgb(191, 191, 191);
constexpr Argb Glyph = Rgb(96, 96, 96);
constexpr Argb GlyphHot = Rgb(32, 32, 32);
constexpr Argb Text = Rgb(0, 0, 0);
constexpr Argb TextSecondary = Rgb(96, 96, 96);
constexpr Argb TextDisabled = Rgb(131, 131, 131);
constexpr Argb Link = Rgb(0, 102, 204);
constexpr Argb LinkHot = Rgb(51, 153, 255);
constexpr Argb Track = Rgb(240, 240, 240);
constexpr Argb Danger = Rgb(232, 17, 35);
constexpr Argb DangerPressed = Rgb(241, 112, 122);
constexpr Argb Warning = Rgb(218, 165, 32);
constexpr Argb Ink = Rgb(26, 26, 26);
}  // namespace pal

// ---- Geometry --------------------------------------------------------------------------------
struct PointF {
  float x = 0, y = 0;
};
struct RectF {
  float l = 0, t = 0, r = 0, b = 0;
  float W() const { return r - l; }
  float H() const { return b - t; }
  float Cx() const { return (l + r) / 2; }
  float Cy() const { return (t + b) / 2; }
  bool Empty() const { return r <= l || b <= t; }
  RectF Inset(float d) const { return {l + d, t + d, r - d, b - d}; }
  RectF Inset(float dx, float dy) const { return {l + dx, t + dy, r - dx, b - dy}; }
};
// A rectangle of w x h centred in r (whole pixels when r and the size are whole).
RectF CenteredIn(const RectF& r, float w, float h);

// ---- Canvas ----------------------------------------------------------------------------------
// Premultiplied 0xAARRGGBB pixels, top-down. The canvas shows a window of the part: canvas
// pixel (0,0) is part pixel (ox, oy); shapes are given in part coordinates and clipped to
// the window. Edges are antialiased by coverage; edges on whole pixels stay crisp.
class Canvas {
 public:
  Canvas(uint32_t* bits, int stride, int width, int height, int ox, int oy)
      : bits_(bits), stride_(stride), w_(width), h_(height), ox_(ox), oy_(oy) {}

  void FillRect(const RectF& r, Argb c);
  void FillRoundRect(const RectF& r, float radius, Argb c);
  // Corner radii: top-left, top-right, bottom-right, bottom-left.
  void FillRoundRect(const RectF& r, const float radii[4], Argb c);
  // A border of `width` inside r.
  void StrokeRoundRect(const RectF& r, float radius, float width, Argb c);
  void StrokeRoundRect(const RectF& r, const float radii[4], float width, Argb c);
  void FillEllipse(const RectF& r, Argb c);
  void StrokeEllipse(const RectF& r, float width, Argb c);
  // Round-capped, round-joined lines.
  void Polyline(const PointF* pts, int n, float width, Argb c);
  void Line(PointF a, PointF b, float width, Argb c) {
    PointF p[2] = {a, b};
    Polyline(p, 2, width, c);
  }
  // A convex polygon.
  void FillPolygon(const PointF* pts, int n, Argb c);
  // Every pixel of the window to this premultiplied value.
  void Clear(uint32_t premultiplied);

  int Width() const { return w_; }
  int Height() const { return h_; }

 private:
  template <class Coverage>
  void Shade(const RectF& bounds, Argb c, Coverage&& coverage);
  void Blend(uint32_t& d, Argb c, float cov);

  uint32_t* bits_;
  int stride_;  // pixels per row
  int w_, h_;
  int ox_, oy_;
};

// ---- Catalogue of classes and parts -------------------------------------------------------------
// What a part looks like in one state. Alpha 0 means the part has no such colour.
struct Look {
  Argb fill = 0;
  Argb border = 0;
  Argb glyph = 0;
  Argb text = 0;
};

struct PaintCtx {
  Canvas& c;
  RectF r;        // the part's rectangle: (0, 0, width, height) in device pixels
  float s = 1;    // device pixels per 96-DPI pixel
  int state = 1;  // as asked
  Look look;      // of that state
  bool omitBorder = false;
  bool omitContent = false;
  // A structural length (border, inset) at this scale: whole pixels, at least 1 when v > 0,
  // never more than the margins the theme answers for it.
  float Px(float v) const;
  float Bw() const { return Px(1); }
};

using LookFn = std::function<Look(int state)>;
using PaintFn = std::function<void(PaintCtx&)>;

struct PartDef {
  int id = 0;
  std::string name;
  std::vector<std::string> states;  // state 1 first
  SIZE trueSize;                    // at 96 DPI; 0 x 0 for parts that stretch to any rectangle
  SIZE minSize;
  MARGINS content;
  MARGINS sizing;
  SIZINGTYPE sizingType = ST_STRETCH;  // ST_TRUESIZE: drawn at its true size, centred
  bool transparent = false;            // does not cover its whole rectangle in some state
  BORDERTYPE borderType = BT_RECT;
  int radius = 0;
  bool borderOnly = false;
  LookFn look;
  PaintFn paint;
  // Text: a font of its own (points, weight; 0 = the device context's font).
  int fontPoints = 0;
  int fontWeight = FW_NORMAL;
  bool textPart = false;            // shows text (the gallery writes a sample)
  std::map<int, Argb> extraColors;  // further TMT_ colours
  Look LookOf(int state) const;
};

struct ClassDef {
  std::string name;  // as listed ("Button", "Explorer::ListView")
  std::vector<PartDef> parts;
  const PartDef* Part(int id) const;
};

// Every class the theme knows, in a fixed order.
const std::vector<ClassDef>& Classes();
// Case-insensitive; "App::Class" falls back to "Class" when the theme has no such variant.
const ClassDef* FindClass(std::u16string_view name);

// ---- Handles -----------------------------------------------------------------------------------
struct ThemeData {
  const ClassDef* cls = nullptr;
  String className;  // as opened (the recorder reports it)
  UINT dpi = 0;      // 0: the DPI of the device context (or the system's)
  HWND hwnd = nullptr;
};
// A copy of the handle's data; false for an unknown or closed handle.
bool LookupTheme(HTHEME theme, ThemeData& out);
// The DPI metrics are answered for.
UINT EffectiveDpi(const ThemeData& t, HDC dc);
// v (at 96 DPI) at `dpi`: halves away from zero, at least 1 when v > 0.
int ScaleMetric(int v, UINT dpi);
MARGINS ScaleMargins(const MARGINS& m, UINT dpi);

// ---- Test switches (uxtheme_testing.h) as seen by the engine ---------------------------------
bool StylesEnabled();
bool ClassFails(std::u16string_view className);
bool SyntheticLook();
void Record(int kind, const ThemeData& t, int part, int state, const RECT& rect, const RECT* clip,
            const String& text);

// Renders `paint` over `rect` (logical units of dc, clipped to `clip` and to the DC's clip)
// at `dpi` and blends the premultiplied result onto the DC.
HRESULT PaintWith(HDC dc, const RECT& rect, const RECT* clip, UINT dpi,
                  const std::function<void(PaintCtx&)>& paint, const Look& look, int state, DWORD options);
// Draws a part on `dc`: renders into a premultiplied buffer and blends it on.
HRESULT PaintPart(const ThemeData& t, const PartDef& part, HDC dc, int state, const RECT& rect,
                  const RECT* clip, DWORD options);

}  // namespace qd::theme
