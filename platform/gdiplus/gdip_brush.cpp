// Brushes: solid, hatch, linear gradient and texture, and their cairo patterns.
#include <algorithm>

#include "platform/gdiplus/gdip_internal.h"

namespace qd::gdiplus {

using namespace detail;

namespace {

constexpr double kPi = 3.14159265358979323846;

// 8 x 8 hatch patterns, one byte per row, the high bit leftmost; set bits take the foreground.
constexpr uint8_t kHatch[HatchStyleTotal][8] = {
    {0xFF, 0, 0, 0, 0, 0, 0, 0},                       // Horizontal
    {0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80},  // Vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // ForwardDiagonal
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // BackwardDiagonal
    {0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80},  // Cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // DiagonalCross
    {0x80, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00},  // 05Percent
    {0x80, 0x00, 0x08, 0x00, 0x80, 0x00, 0x08, 0x00},  // 10Percent
    {0x88, 0x00, 0x22, 0x00, 0x88, 0x00, 0x22, 0x00},  // 20Percent
    {0x88, 0x22, 0x88, 0x22, 0x88, 0x22, 0x88, 0x22},  // 25Percent
    {0xAA, 0x44, 0xAA, 0x11, 0xAA, 0x44, 0xAA, 0x11},  // 30Percent
    {0xAA, 0x55, 0xAA, 0x51, 0xAA, 0x55, 0xAA, 0x15},  // 40Percent
    {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55},  // 50Percent
    {0xEE, 0x55, 0xBB, 0x55, 0xEE, 0x55, 0xBB, 0x55},  // 60Percent
    {0xEE, 0x77, 0xBB, 0xDD, 0xEE, 0x77, 0xBB, 0xDD},  // 70Percent
    {0xEE, 0xFF, 0xBB, 0xFF, 0xEE, 0xFF, 0xBB, 0xFF},  // 75Percent
    {0xF7, 0xFF, 0x7F, 0xFF, 0xF7, 0xFF, 0x7F, 0xFF},  // 80Percent
    {0xFF, 0xFF, 0xF7, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF},  // 90Percent
    {0x88, 0x44, 0x22, 0x11, 0x88, 0x44, 0x22, 0x11},  // LightDownwardDiagonal
    {0x11, 0x22, 0x44, 0x88, 0x11, 0x22, 0x44, 0x88},  // LightUpwardDiagonal
    {0xCC, 0x66, 0x33, 0x99, 0xCC, 0x66, 0x33, 0x99},  // DarkDownwardDiagonal
    {0x33, 0x66, 0xCC, 0x99, 0x33, 0x66, 0xCC, 0x99},  // DarkUpwardDiagonal
    {0xC1, 0xE0, 0x70, 0x38, 0x1C, 0x0E, 0x07, 0x83},  // WideDownwardDiagonal
    {0x83, 0x07, 0x0E, 0x1C, 0x38, 0x70, 0xE0, 0xC1},  // WideUpwardDiagonal
    {0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88},  // LightVertical
    {0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00},  // LightHorizontal
    {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA},  // NarrowVertical
    {0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00},  // NarrowHorizontal
    {0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC},  // DarkVertical
    {0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00},  // DarkHorizontal
    {0x00, 0x00, 0x88, 0x44, 0x22, 0x11, 0x00, 0x00},  // DashedDownwardDiagonal
    {0x00, 0x00, 0x11, 0x22, 0x44, 0x88, 0x00, 0x00},  // DashedUpwardDiagonal
    {0xF0, 0x00, 0x00, 0x00, 0x0F, 0x00, 0x00, 0x00},  // DashedHorizontal
    {0x80, 0x80, 0x80, 0x80, 0x08, 0x08, 0x08, 0x08},  // DashedVertical
    {0x80, 0x10, 0x02, 0x40, 0x04, 0x20, 0x01, 0x08},  // SmallConfetti
    {0xB1, 0x30, 0x03, 0x1B, 0xD8, 0xC0, 0x0C, 0x8D},  // LargeConfetti
    {0x81, 0x42, 0x24, 0x18, 0x81, 0x42, 0x24, 0x18},  // ZigZag
    {0x00, 0x18, 0xA4, 0x03, 0x00, 0x18, 0xA4, 0x03},  // Wave
    {0x01, 0x02, 0x04, 0x08, 0x18, 0x24, 0x42, 0x81},  // DiagonalBrick
    {0xFF, 0x80, 0x80, 0x80, 0xFF, 0x08, 0x08, 0x08},  // HorizontalBrick
    {0x88, 0x54, 0x22, 0x45, 0x88, 0x14, 0x22, 0x51},  // Weave
    {0xAA, 0x55, 0xAA, 0x55, 0xF0, 0xF0, 0xF0, 0xF0},  // Plaid
    {0x80, 0x40, 0x80, 0x00, 0x08, 0x04, 0x08, 0x00},  // Divot
    {0xAA, 0x00, 0x80, 0x00, 0x80, 0x00, 0x80, 0x00},  // DottedGrid
    {0x80, 0x00, 0x22, 0x00, 0x08, 0x00, 0x22, 0x00},  // DottedDiamond
    {0x03, 0x84, 0x48, 0x30, 0x0C, 0x02, 0x01, 0x01},  // Shingle
    {0xFF, 0x66, 0xFF, 0x99, 0xFF, 0x66, 0xFF, 0x99},  // Trellis
    {0x77, 0x89, 0x8F, 0x8F, 0x77, 0x98, 0xF8, 0xF8},  // Sphere
    {0xFF, 0x88, 0x88, 0x88, 0xFF, 0x88, 0x88, 0x88},  // SmallGrid
    {0x99, 0x66, 0x66, 0x99, 0x99, 0x66, 0x66, 0x99},  // SmallCheckerBoard
    {0xF0, 0xF0, 0xF0, 0xF0, 0x0F, 0x0F, 0x0F, 0x0F},  // LargeCheckerBoard
    {0x82, 0x44, 0x28, 0x10, 0x28, 0x44, 0x82, 0x01},  // OutlinedDiamond
    {0x10, 0x38, 0x7C, 0xFE, 0x7C, 0x38, 0x10, 0x00},  // SolidDiamond
};

uint32_t Lerp(ARGB a, ARGB b, double t) {
  uint32_t out = 0;
  for (int sh = 0; sh < 32; sh += 8) {
    double ca = (a >> sh) & 0xFF, cb = (b >> sh) & 0xFF;
    out |= static_cast<uint32_t>(std::lround(ca + (cb - ca) * t)) << sh;
  }
  return out;
}

// Interpolation in linear light (gamma 2.2) for the colour channels.
uint32_t LerpGamma(ARGB a, ARGB b, double t) {
  uint32_t out = static_cast<uint32_t>(std::lround(double(a >> 24) + (double(b >> 24) - double(a >> 24)) * t))
                 << 24;
  for (int sh = 0; sh < 24; sh += 8) {
    double ca = std::pow(((a >> sh) & 0xFF) / 255.0, 2.2), cb = std::pow(((b >> sh) & 0xFF) / 255.0, 2.2);
    out |= static_cast<uint32_t>(std::lround(std::pow(ca + (cb - ca) * t, 1 / 2.2) * 255)) << sh;
  }
  return out;
}

void AddStop(cairo_pattern_t* p, double offset, ARGB c) {
  cairo_pattern_add_color_stop_rgba(p, std::clamp(offset, 0.0, 1.0), ((c >> 16) & 0xFF) / 255.0,
                                    ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0, (c >> 24) / 255.0);
}

cairo_pattern_t* GradientPattern(const LineGradient& b) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 1, 0);
  for (const auto& [offset, color] : b.blend.Stops(b.colors[0], b.colors[1], b.gamma))
    AddStop(p, offset, color);
  cairo_pattern_set_extend(p, b.wrap == WrapModeTileFlipX || b.wrap == WrapModeTileFlipXY
                                  ? CAIRO_EXTEND_REFLECT
                                  : CAIRO_EXTEND_REPEAT);
  Mx toGradient = (b.geometry * b.transform);
  if (toGradient.Invertible()) {
    cairo_matrix_t m = toGradient.Inverse().Cairo();
    cairo_pattern_set_matrix(p, &m);
  }
  return p;
}

cairo_pattern_t* HatchPattern(const HatchFill& b, const Canvas& canvas) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
  cairo_surface_flush(s);
  auto* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  uint32_t fore = Premultiply(b.fore), back = Premultiply(b.back);
  for (int y = 0; y < 8; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
    for (int x = 0; x < 8; ++x) row[x] = (kHatch[b.style][y] & (0x80 >> x)) ? fore : back;
  }
  cairo_surface_mark_dirty(s);
  cairo_pattern_t* p = cairo_pattern_create_for_surface(s);
  cairo_surface_destroy(s);
  cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
  cairo_pattern_set_filter(p, CAIRO_FILTER_NEAREST);
  // Hatches are aligned to device pixels, whatever the world transform.
  Mx userToSurface = canvas.UserToSurface();
  const auto& g = canvas.graphics();
  Mx m = userToSurface * Mx::Translation(-g.s.originX, -g.s.originY);
  if (m.Invertible()) {
    cairo_matrix_t cm = m.Cairo();
    // The pattern matrix maps user space to pattern space.
    cairo_pattern_set_matrix(p, &cm);
  }
  return p;
}

cairo_pattern_t* TexturePattern(const Texture& b, const Canvas& canvas) {
  const Bitmap& img = *b.image;
  int32_t w = img.width, h = img.height;
  bool flipX = b.wrap == WrapModeTileFlipX, flipY = b.wrap == WrapModeTileFlipY;
  int32_t sw = flipX ? 2 * w : w, sh = flipY ? 2 * h : h;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, sw, sh);
  cairo_surface_flush(s);
  auto* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  img.ReadPremultiplied(0, 0, w, h, reinterpret_cast<uint32_t*>(data), stride);
  if (flipX || flipY)
    for (int32_t y = 0; y < sh; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
      const auto* src = reinterpret_cast<const uint32_t*>(data + (y < h ? y : 2 * h - 1 - y) * stride);
      for (int32_t x = 0; x < sw; ++x) {
        if (x < w && y < h) continue;
        row[x] = src[x < w ? x : 2 * w - 1 - x];
      }
    }
  cairo_surface_mark_dirty(s);
  cairo_pattern_t* p = cairo_pattern_create_for_surface(s);
  cairo_surface_destroy(s);
  switch (b.wrap) {
    case WrapModeClamp:
      cairo_pattern_set_extend(p, CAIRO_EXTEND_NONE);
      break;
    case WrapModeTileFlipXY:
      cairo_pattern_set_extend(p, CAIRO_EXTEND_REFLECT);
      break;
    default:
      cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
      break;
  }
  Mx toTexture = b.transform.Invertible() ? b.transform.Inverse() : Mx{};
  if (canvas.PixelCentresOnIntegers()) toTexture = toTexture * Mx::Translation(0.5, 0.5);
  cairo_matrix_t cm = toTexture.Cairo();
  cairo_pattern_set_matrix(p, &cm);
  // Texels map one to one onto pixels: no filtering, so they stay sharp.
  Mx texToSurface = b.transform * canvas.UserToSurface();
  bool oneToOne = std::fabs(std::fabs(texToSurface.m11) - 1) < 1e-9 &&
                  std::fabs(std::fabs(texToSurface.m22) - 1) < 1e-9 && texToSurface.IsAxisAligned();
  cairo_pattern_set_filter(p, oneToOne ? CAIRO_FILTER_NEAREST : FilterFor(canvas.graphics().s.interpolation));
  return p;
}

// Gradient space to world for a rectangle and an angle in degrees; `scalable` measures the
// angle in the rectangle's own proportions.
Mx RectGradient(const GpRectF& r, double angle, bool scalable) {
  double a = angle * kPi / 180.0;
  double ux = std::cos(a), uy = std::sin(a);
  double w = scalable ? 1 : r.Width, h = scalable ? 1 : r.Height;
  // Corners' projections on the direction: the gradient runs from the smallest to the largest.
  double proj[4] = {0, w * ux, h * uy, w * ux + h * uy};
  double lo = *std::min_element(proj, proj + 4), hi = *std::max_element(proj, proj + 4);
  double len = hi - lo;
  Mx g{ux * len, uy * len, -uy * len, ux * len, ux * lo, uy * lo};
  if (scalable) g = g * Mx::Scaling(r.Width, r.Height);
  return g * Mx::Translation(r.X, r.Y);
}

bool ValidWrap(WrapMode w, bool clampAllowed) {
  return w >= WrapModeTile && w <= (clampAllowed ? WrapModeClamp : WrapModeTileFlipXY);
}

Status NewLineBrush(std::unique_ptr<LineGradient> b, GpLineGradient** out) {
  *out = static_cast<GpLineGradient*>(Adopt(std::move(b))->Handle());
  return Ok;
}

LineGradient* GetLine(GpLineGradient* brush) {
  return Get<LineGradient>(static_cast<GpBrush*>(brush));
}

Texture* GetTexture(GpTexture* brush) {
  return Get<Texture>(static_cast<GpBrush*>(brush));
}

Status CreateRectLine(const GpRectF* rect, ARGB c1, ARGB c2, double angle, bool scalable, WrapMode wrap,
                      GpLineGradient** out) {
  if (!rect || !out || !ValidWrap(wrap, false) || !Finite(rect->X, rect->Y, rect->Width, rect->Height, angle))
    return InvalidParameter;
  if (rect->Width == 0 || rect->Height == 0) return OutOfMemory;
  auto b = std::make_unique<LineGradient>();
  b->rect = *rect;
  b->colors[0] = c1;
  b->colors[1] = c2;
  b->wrap = wrap;
  b->geometry = RectGradient(*rect, angle, scalable);
  return NewLineBrush(std::move(b), out);
}

}  // namespace

namespace detail {

Status Blend::SetFactors(const REAL* blend, const REAL* pos, INT count) {
  if (!blend || !pos || count <= 0) return InvalidParameter;
  if (count >= 2 && (pos[0] != 0 || pos[count - 1] != 1)) return InvalidParameter;
  for (INT i = 0; i < count; ++i)
    if (!Finite(blend[i], pos[i]) || (i > 0 && pos[i] < pos[i - 1])) return InvalidParameter;
  factors.assign(blend, blend + count);
  positions.assign(pos, pos + count);
  if (count == 1) {
    // One factor is the colour across the whole brush.
    factors = {blend[0], blend[0]};
    positions = {0, 1};
  }
  presetColors.clear();
  presetPositions.clear();
  return Ok;
}

Status Blend::GetFactors(REAL* blend, REAL* pos, INT count) const {
  if (!blend || !pos || count <= 0) return InvalidParameter;
  if (factors.empty()) {
    blend[0] = 1;
    pos[0] = 1;
    return Ok;
  }
  if (static_cast<size_t>(count) < factors.size()) return InsufficientBuffer;
  std::copy(factors.begin(), factors.end(), blend);
  std::copy(positions.begin(), positions.end(), pos);
  return Ok;
}

Status Blend::SetPreset(const ARGB* blend, const REAL* pos, INT count) {
  if (!blend || !pos || count < 2) return InvalidParameter;
  if (pos[0] != 0 || pos[count - 1] != 1) return InvalidParameter;
  for (INT i = 1; i < count; ++i)
    if (!Finite(pos[i]) || pos[i] < pos[i - 1]) return InvalidParameter;
  presetColors.assign(blend, blend + count);
  presetPositions.assign(pos, pos + count);
  factors.clear();
  positions.clear();
  return Ok;
}

Status Blend::GetPreset(ARGB* blend, REAL* pos, INT count) const {
  if (!blend || !pos || count < 2) return InvalidParameter;
  if (presetColors.empty()) return GenericError;
  if (static_cast<size_t>(count) < presetColors.size()) return InsufficientBuffer;
  std::copy(presetColors.begin(), presetColors.end(), blend);
  std::copy(presetPositions.begin(), presetPositions.end(), pos);
  return Ok;
}

Status Blend::SetSigma(REAL focus, REAL scale) {
  if (!Finite(focus, scale) || focus < 0 || focus > 1 || scale < 0 || scale > 1) return InvalidParameter;
  // A bell curve peaking at the focus, built from the normal distribution's cumulative shape.
  std::vector<REAL> f, p;
  const int n = 32;
  auto bell = [](double t) { return 0.5 * (1 + std::erf((t - 0.5) * 4)); };
  for (int i = 0; i <= n; ++i) {
    double t = double(i) / n, v;
    if (t <= focus)
      v = focus > 0 ? (bell(t / focus) - bell(0)) / (bell(1) - bell(0)) : 1;
    else
      v = focus < 1 ? (bell((1 - t) / (1 - focus)) - bell(0)) / (bell(1) - bell(0)) : 1;
    f.push_back(REAL(v * scale));
    p.push_back(REAL(t));
  }
  factors = std::move(f);
  positions = std::move(p);
  presetColors.clear();
  presetPositions.clear();
  return Ok;
}

Status Blend::SetLinear(REAL focus, REAL scale) {
  if (!Finite(focus, scale) || focus < 0 || focus > 1 || scale < 0 || scale > 1) return InvalidParameter;
  if (focus == 0) {
    factors = {scale, 0};
    positions = {0, 1};
  } else if (focus == 1) {
    factors = {0, scale};
    positions = {0, 1};
  } else {
    factors = {0, scale, 0};
    positions = {0, focus, 1};
  }
  presetColors.clear();
  presetPositions.clear();
  return Ok;
}

std::vector<std::pair<double, ARGB>> Blend::Stops(ARGB c0, ARGB c1, bool gamma) const {
  std::vector<std::pair<double, ARGB>> stops;
  if (!presetColors.empty()) {
    for (size_t i = 0; i < presetColors.size(); ++i) stops.push_back({presetPositions[i], presetColors[i]});
  } else if (!factors.empty()) {
    for (size_t i = 0; i < factors.size(); ++i) stops.push_back({positions[i], Lerp(c0, c1, factors[i])});
  } else {
    stops = {{0.0, c0}, {1.0, c1}};
  }
  if (!gamma) return stops;
  // Intermediate stops follow the gamma-correct curve.
  std::vector<std::pair<double, ARGB>> out;
  for (size_t i = 0; i < stops.size(); ++i) {
    if (i > 0)
      for (int k = 1; k < 8; ++k) {
        double t = k / 8.0;
        out.push_back({stops[i - 1].first + (stops[i].first - stops[i - 1].first) * t,
                       LerpGamma(stops[i - 1].second, stops[i].second, t)});
      }
    out.push_back(stops[i]);
  }
  return out;
}

Brush* GetBrush(const GpBrush* handle) {
  return Get<Brush>(handle);
}

cairo_filter_t FilterFor(InterpolationMode mode) {
  switch (mode) {
    case InterpolationModeNearestNeighbor:
      return CAIRO_FILTER_NEAREST;
    case InterpolationModeHighQuality:
    case InterpolationModeHighQualityBilinear:
    case InterpolationModeHighQualityBicubic:
    case InterpolationModeBicubic:
      return CAIRO_FILTER_GOOD;
    default:
      return CAIRO_FILTER_BILINEAR;
  }
}

cairo_pattern_t* MakePattern(const Brush& brush, const Canvas& canvas) {
  if (auto* s = dynamic_cast<const SolidFill*>(&brush)) {
    ARGB c = s->color;
    return cairo_pattern_create_rgba(((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                                     (c & 0xFF) / 255.0, (c >> 24) / 255.0);
  }
  if (auto* l = dynamic_cast<const LineGradient*>(&brush)) return GradientPattern(*l);
  if (auto* t = dynamic_cast<const Texture*>(&brush)) return TexturePattern(*t, canvas);
  if (auto* h = dynamic_cast<const HatchFill*>(&brush)) return HatchPattern(*h, canvas);
  if (auto* g = dynamic_cast<const PathGradient*>(&brush)) return PathGradientPattern(*g, canvas);
  return cairo_pattern_create_rgba(0, 0, 0, 0);
}

}  // namespace detail

// ---- Flat API --------------------------------------------------------------------------------

Status GdipCloneBrush(GpBrush* brush, GpBrush** cloneBrush) {
  QD_GDIP_ENTER();
  auto* b = GetBrush(brush);
  if (!b || !cloneBrush) return InvalidParameter;
  *cloneBrush = Adopt(b->Clone())->Handle();
  return Ok;
}

Status GdipDeleteBrush(GpBrush* brush) {
  QD_GDIP_LOCK();
  if (!GetBrush(brush)) return InvalidParameter;
  Destroy(brush);
  return Ok;
}

Status GdipGetBrushType(GpBrush* brush, GpBrushType* type) {
  QD_GDIP_ENTER();
  auto* b = GetBrush(brush);
  if (!b || !type) return InvalidParameter;
  *type = b->Type();
  return Ok;
}

Status GdipCreateSolidFill(ARGB color, GpSolidFill** brush) {
  QD_GDIP_ENTER();
  if (!brush) return InvalidParameter;
  auto b = std::make_unique<SolidFill>();
  b->color = color;
  *brush = static_cast<GpSolidFill*>(Adopt(std::move(b))->Handle());
  return Ok;
}

Status GdipSetSolidFillColor(GpSolidFill* brush, ARGB color) {
  QD_GDIP_ENTER();
  auto* b = Get<SolidFill>(static_cast<GpBrush*>(brush));
  if (!b) return InvalidParameter;
  b->color = color;
  return Ok;
}

Status GdipGetSolidFillColor(GpSolidFill* brush, ARGB* color) {
  QD_GDIP_ENTER();
  auto* b = Get<SolidFill>(static_cast<GpBrush*>(brush));
  if (!b || !color) return InvalidParameter;
  *color = b->color;
  return Ok;
}

Status GdipCreateHatchBrush(GpHatchStyle hatchstyle, ARGB forecol, ARGB backcol, GpHatch** brush) {
  QD_GDIP_ENTER();
  if (!brush || hatchstyle < HatchStyleMin || hatchstyle > HatchStyleMax) return InvalidParameter;
  auto b = std::make_unique<HatchFill>();
  b->style = hatchstyle;
  b->fore = forecol;
  b->back = backcol;
  *brush = static_cast<GpHatch*>(Adopt(std::move(b))->Handle());
  return Ok;
}

Status GdipGetHatchStyle(GpHatch* brush, GpHatchStyle* hatchstyle) {
  QD_GDIP_ENTER();
  auto* b = Get<HatchFill>(static_cast<GpBrush*>(brush));
  if (!b || !hatchstyle) return InvalidParameter;
  *hatchstyle = b->style;
  return Ok;
}

Status GdipGetHatchForegroundColor(GpHatch* brush, ARGB* forecol) {
  QD_GDIP_ENTER();
  auto* b = Get<HatchFill>(static_cast<GpBrush*>(brush));
  if (!b || !forecol) return InvalidParameter;
  *forecol = b->fore;
  return Ok;
}

Status GdipGetHatchBackgroundColor(GpHatch* brush, ARGB* backcol) {
  QD_GDIP_ENTER();
  auto* b = Get<HatchFill>(static_cast<GpBrush*>(brush));
  if (!b || !backcol) return InvalidParameter;
  *backcol = b->back;
  return Ok;
}

Status GdipCreateLineBrush(const GpPointF* point1, const GpPointF* point2, ARGB color1, ARGB color2,
                           GpWrapMode wrapMode, GpLineGradient** lineGradient) {
  QD_GDIP_ENTER();
  if (!point1 || !point2 || !lineGradient || !ValidWrap(wrapMode, false) ||
      !Finite(point1->X, point1->Y, point2->X, point2->Y))
    return InvalidParameter;
  double dx = double(point2->X) - point1->X, dy = double(point2->Y) - point1->Y;
  if (dx == 0 && dy == 0) return OutOfMemory;
  auto b = std::make_unique<LineGradient>();
  b->colors[0] = color1;
  b->colors[1] = color2;
  b->wrap = wrapMode;
  b->geometry = Mx{dx, dy, -dy, dx, point1->X, point1->Y};
  double l = std::min(point1->X, point2->X), t = std::min(point1->Y, point2->Y);
  b->rect = {REAL(l), REAL(t), REAL(std::fabs(dx)), REAL(std::fabs(dy))};
  return NewLineBrush(std::move(b), lineGradient);
}

Status GdipCreateLineBrushI(const GpPoint* point1, const GpPoint* point2, ARGB color1, ARGB color2,
                            GpWrapMode wrapMode, GpLineGradient** lineGradient) {
  if (!point1 || !point2) return InvalidParameter;
  GpPointF a{REAL(point1->X), REAL(point1->Y)}, b{REAL(point2->X), REAL(point2->Y)};
  return GdipCreateLineBrush(&a, &b, color1, color2, wrapMode, lineGradient);
}

Status GdipCreateLineBrushFromRect(const GpRectF* rect, ARGB color1, ARGB color2, LinearGradientMode mode,
                                   GpWrapMode wrapMode, GpLineGradient** lineGradient) {
  QD_GDIP_ENTER();
  static constexpr double kAngles[] = {0, 90, 45, 135};
  if (mode < LinearGradientModeHorizontal || mode > LinearGradientModeBackwardDiagonal)
    return InvalidParameter;
  return CreateRectLine(rect, color1, color2, kAngles[mode], true, wrapMode, lineGradient);
}

Status GdipCreateLineBrushFromRectI(const GpRect* rect, ARGB color1, ARGB color2, LinearGradientMode mode,
                                    GpWrapMode wrapMode, GpLineGradient** lineGradient) {
  if (!rect) return InvalidParameter;
  GpRectF r{REAL(rect->X), REAL(rect->Y), REAL(rect->Width), REAL(rect->Height)};
  return GdipCreateLineBrushFromRect(&r, color1, color2, mode, wrapMode, lineGradient);
}

Status GdipCreateLineBrushFromRectWithAngle(const GpRectF* rect, ARGB color1, ARGB color2, REAL angle,
                                            BOOL isAngleScalable, GpWrapMode wrapMode,
                                            GpLineGradient** lineGradient) {
  QD_GDIP_ENTER();
  return CreateRectLine(rect, color1, color2, angle, isAngleScalable != 0, wrapMode, lineGradient);
}

Status GdipCreateLineBrushFromRectWithAngleI(const GpRect* rect, ARGB color1, ARGB color2, REAL angle,
                                             BOOL isAngleScalable, GpWrapMode wrapMode,
                                             GpLineGradient** lineGradient) {
  if (!rect) return InvalidParameter;
  GpRectF r{REAL(rect->X), REAL(rect->Y), REAL(rect->Width), REAL(rect->Height)};
  return GdipCreateLineBrushFromRectWithAngle(&r, color1, color2, angle, isAngleScalable, wrapMode,
                                              lineGradient);
}

Status GdipSetLineColors(GpLineGradient* brush, ARGB color1, ARGB color2) {
  QD_GDIP_ENTER();
  auto* b = GetLine(brush);
  if (!b) return InvalidParameter;
  b->colors[0] = color1;
  b->colors[1] = color2;
  return Ok;
}

Status GdipGetLineColors(GpLineGradient* brush, ARGB* colors) {
  QD_GDIP_ENTER();
  auto* b = GetLine(brush);
  if (!b || !colors) return InvalidParameter;
  colors[0] = b->colors[0];
  colors[1] = b->colors[1];
  return Ok;
}

Status GdipGetLineRect(GpLineGradient* brush, GpRectF* rect) {
  QD_GDIP_ENTER();
  auto* b = GetLine(brush);
  if (!b || !rect) return InvalidParameter;
  *rect = b->rect;
  return Ok;
}

Status GdipGetLineRectI(GpLineGradient* brush, GpRect* rect) {
  if (!rect) return InvalidParameter;
  GpRectF r;
  Status s = GdipGetLineRect(brush, &r);
  if (s == Ok)
    *rect = {static_cast<INT>(std::lround(r.X)), static_cast<INT>(std::lround(r.Y)),
             static_cast<INT>(std::lround(r.Width)), static_cast<INT>(std::lround(r.Height))};
  return s;
}

Status GdipSetLineGammaCorrection(GpLineGradient* brush, BOOL useGammaCorrection) {
  QD_GDIP_ENTER();
  auto* b = GetLine(brush);
  if (!b) return InvalidParameter;
  b->gamma = useGammaCorrection != 0;
  return Ok;
}

Status GdipGetLineGammaCorrection(GpLineGradient* brush, BOOL* useGammaCorrection) {
  QD_GDIP_ENTER();
  auto* b = GetLine(brush);
  if (!b || !useGammaCorrection) return InvalidParameter;
  *useGammaCorrection = b->gamma ? TRUE : FALSE;
  return Ok;
}

Status GdipGetLineBlendCount(GpLineGradient* brush, INT* count) {
  QD_GDIP_ENTER();
  auto* b = GetLine(brush);
  if (!b || !count) return InvalidParameter;
  *count = b->blend.FactorCount();
  return Ok;
}

Status GdipGetLineBlend(GpLineGradient* brush, REAL* blend, REAL* positions, INT count) {
  QD_GDIP_ENTER();
  auto* b = GetLine(brush);
  return b ? b->blend.GetFactors(blend, positions, count) : InvalidParameter;
}

Status GdipSetLineBlend(GpLineGradient* brush, const REAL* blend, const REAL* positions, INT count) {
  QD_GDIP_ENTER();
  auto* b = GetLine(brush);
  return b ? b->blend.SetFactors(blend, positions, count) : InvalidParameter;
}

Status GdipGetLinePresetBlendCount(GpLineGradient* brush, INT* count) {
  QD_GDIP_ENTER();
  auto* b = GetLine(brush);
  if (!b || !count) return InvalidParameter;
  *count = b->blend.PresetCount();
  return Ok;
}

Status GdipGetLinePresetBlend(GpLineGradient* brush, ARGB* blend, REAL* positions, INT count) {
  QD_GDIP_ENTER();
  auto* b = GetLine(brush);
  return b ? b->blend.GetPreset(blend, positions, count) : InvalidParameter;
}

Status GdipSetLinePresetBlend(GpLineGradient* brush, const ARGB* blend, const REAL* positions, INT count) {
  QD_GDIP_ENTER();
  auto* b = GetLine(brush);
  return b ? b->blend.SetPreset(blend, positions, count) : InvalidParameter;
}

Status GdipSetLineSigmaBlend(GpLineGradient* brush, REAL focus, REAL scale) {
  QD_GDIP_ENTER();
  auto* b = GetLine(brush);
  return b ? b->blend.SetSigma(focus, scale) : InvalidParameter;
}

Status GdipSetLineLinearBlend(GpLineGradient* brush, REAL focus, REAL scale) {
  QD_GDIP_ENTER();
  auto* b = GetLine(brush);
  return b ? b->blend.SetLinear(focus, scale) : InvalidParameter;
}

Status GdipSetLineWrapMode(GpLineGradient* brush, GpWrapMode wrapmode) {
  QD_GDIP_ENTER();
  auto* b = GetLine(brush);
  if (!b || !ValidWrap(wrapmode, false)) return InvalidParameter;
  b->wrap = wrapmode;
  return Ok;
}

Status GdipGetLineWrapMode(GpLineGradient* brush, GpWrapMode* wrapmode) {
  QD_GDIP_ENTER();
  auto* b = GetLine(brush);
  if (!b || !wrapmode) return InvalidParameter;
  *wrapmode = b->wrap;
  return Ok;
}

Status GdipGetLineTransform(GpLineGradient* brush, GpMatrix* matrix) {
  QD_GDIP_ENTER();
  auto* b = GetLine(brush);
  auto* m = Get<Matrix>(matrix);
  if (!b || !m) return InvalidParameter;
  m->m = b->transform;
  return Ok;
}

Status GdipSetLineTransform(GpLineGradient* brush, const GpMatrix* matrix) {
  QD_GDIP_ENTER();
  auto* b = GetLine(brush);
  auto* m = Get<Matrix>(matrix);
  if (!b || !m || !m->m.Invertible()) return InvalidParameter;
  b->transform = m->m;
  return Ok;
}

Status GdipResetLineTransform(GpLineGradient* brush) {
  QD_GDIP_ENTER();
  auto* b = GetLine(brush);
  if (!b) return InvalidParameter;
  b->transform = Mx{};
  return Ok;
}

Status GdipMultiplyLineTransform(GpLineGradient* brush, const GpMatrix* matrix, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  auto* b = GetLine(brush);
  auto* m = Get<Matrix>(matrix);
  if (!b || !m) return InvalidParameter;
  Combine(b->transform, m->m, order);
  return Ok;
}

Status GdipTranslateLineTransform(GpLineGradient* brush, REAL dx, REAL dy, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  auto* b = GetLine(brush);
  if (!b || !Finite(dx, dy)) return InvalidParameter;
  Combine(b->transform, Mx::Translation(dx, dy), order);
  return Ok;
}

Status GdipScaleLineTransform(GpLineGradient* brush, REAL sx, REAL sy, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  auto* b = GetLine(brush);
  if (!b || !Finite(sx, sy)) return InvalidParameter;
  Combine(b->transform, Mx::Scaling(sx, sy), order);
  return Ok;
}

Status GdipRotateLineTransform(GpLineGradient* brush, REAL angle, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  auto* b = GetLine(brush);
  if (!b || !Finite(angle)) return InvalidParameter;
  Combine(b->transform, Mx::Rotation(angle), order);
  return Ok;
}

namespace {

Status CreateTexture(GpImage* image, WrapMode wrap, double x, double y, double w, double h, bool whole,
                     const ImageAttributes* attrs, GpTexture** texture) {
  auto* img = GetBitmap(image);
  if (!img || !texture || !ValidWrap(wrap, true) || !Finite(x, y, w, h)) return InvalidParameter;
  if (img->locked) return WrongState;
  int32_t ix = 0, iy = 0, iw = img->width, ih = img->height;
  if (!whole) {
    ix = static_cast<int32_t>(std::lround(x));
    iy = static_cast<int32_t>(std::lround(y));
    iw = static_cast<int32_t>(std::lround(w));
    ih = static_cast<int32_t>(std::lround(h));
    if (iw <= 0 || ih <= 0 || ix < 0 || iy < 0 || ix > img->width - iw || iy > img->height - ih)
      return OutOfMemory;
  }
  auto copy = std::make_shared<Bitmap>();
  Status s = copy->Allocate(iw, ih, PixelFormat32bppARGB);
  if (s != Ok) return s;
  std::vector<uint32_t> row(static_cast<size_t>(iw));
  const ColorAdjust* adjust = attrs ? &attrs->For(ColorAdjustTypeBitmap) : nullptr;
  for (int32_t j = 0; j < ih; ++j) {
    for (int32_t i = 0; i < iw; ++i) row[i] = img->GetArgb(ix + i, iy + j);
    if (adjust && adjust->Active()) adjust->Apply(row.data(), row.size());
    for (int32_t i = 0; i < iw; ++i) copy->SetArgb(i, j, row[i]);
  }
  copy->dpiX = img->dpiX;
  copy->dpiY = img->dpiY;
  auto t = std::make_unique<Texture>();
  t->image = std::move(copy);
  t->wrap = wrap;
  *texture = static_cast<GpTexture*>(Adopt(std::move(t))->Handle());
  return Ok;
}

}  // namespace

Status GdipCreateTexture(GpImage* image, GpWrapMode wrapmode, GpTexture** texture) {
  QD_GDIP_ENTER();
  return CreateTexture(image, wrapmode, 0, 0, 0, 0, true, nullptr, texture);
}

Status GdipCreateTexture2(GpImage* image, GpWrapMode wrapmode, REAL x, REAL y, REAL width, REAL height,
                          GpTexture** texture) {
  QD_GDIP_ENTER();
  return CreateTexture(image, wrapmode, x, y, width, height, false, nullptr, texture);
}

Status GdipCreateTexture2I(GpImage* image, GpWrapMode wrapmode, INT x, INT y, INT width, INT height,
                           GpTexture** texture) {
  return GdipCreateTexture2(image, wrapmode, REAL(x), REAL(y), REAL(width), REAL(height), texture);
}

Status GdipCreateTextureIA(GpImage* image, const GpImageAttributes* imageAttributes, REAL x, REAL y,
                           REAL width, REAL height, GpTexture** texture) {
  QD_GDIP_ENTER();
  auto* attrs = imageAttributes ? Get<ImageAttributes>(imageAttributes) : nullptr;
  if (imageAttributes && !attrs) return InvalidParameter;
  WrapMode wrap = attrs && attrs->wrapSet ? attrs->wrap : WrapModeTile;
  return CreateTexture(image, wrap, x, y, width, height, false, attrs, texture);
}

Status GdipCreateTextureIAI(GpImage* image, const GpImageAttributes* imageAttributes, INT x, INT y, INT width,
                            INT height, GpTexture** texture) {
  return GdipCreateTextureIA(image, imageAttributes, REAL(x), REAL(y), REAL(width), REAL(height), texture);
}

Status GdipGetTextureTransform(GpTexture* brush, GpMatrix* matrix) {
  QD_GDIP_ENTER();
  auto* b = GetTexture(brush);
  auto* m = Get<Matrix>(matrix);
  if (!b || !m) return InvalidParameter;
  m->m = b->transform;
  return Ok;
}

Status GdipSetTextureTransform(GpTexture* brush, const GpMatrix* matrix) {
  QD_GDIP_ENTER();
  auto* b = GetTexture(brush);
  auto* m = Get<Matrix>(matrix);
  if (!b || !m || !m->m.Invertible()) return InvalidParameter;
  b->transform = m->m;
  return Ok;
}

Status GdipResetTextureTransform(GpTexture* brush) {
  QD_GDIP_ENTER();
  auto* b = GetTexture(brush);
  if (!b) return InvalidParameter;
  b->transform = Mx{};
  return Ok;
}

Status GdipMultiplyTextureTransform(GpTexture* brush, const GpMatrix* matrix, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  auto* b = GetTexture(brush);
  auto* m = Get<Matrix>(matrix);
  if (!b || !m) return InvalidParameter;
  Combine(b->transform, m->m, order);
  return Ok;
}

Status GdipTranslateTextureTransform(GpTexture* brush, REAL dx, REAL dy, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  auto* b = GetTexture(brush);
  if (!b || !Finite(dx, dy)) return InvalidParameter;
  Combine(b->transform, Mx::Translation(dx, dy), order);
  return Ok;
}

Status GdipScaleTextureTransform(GpTexture* brush, REAL sx, REAL sy, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  auto* b = GetTexture(brush);
  if (!b || !Finite(sx, sy)) return InvalidParameter;
  Combine(b->transform, Mx::Scaling(sx, sy), order);
  return Ok;
}

Status GdipRotateTextureTransform(GpTexture* brush, REAL angle, GpMatrixOrder order) {
  QD_GDIP_ENTER();
  auto* b = GetTexture(brush);
  if (!b || !Finite(angle)) return InvalidParameter;
  Combine(b->transform, Mx::Rotation(angle), order);
  return Ok;
}

Status GdipSetTextureWrapMode(GpTexture* brush, GpWrapMode wrapmode) {
  QD_GDIP_ENTER();
  auto* b = GetTexture(brush);
  if (!b || !ValidWrap(wrapmode, true)) return InvalidParameter;
  b->wrap = wrapmode;
  return Ok;
}

Status GdipGetTextureWrapMode(GpTexture* brush, GpWrapMode* wrapmode) {
  QD_GDIP_ENTER();
  auto* b = GetTexture(brush);
  if (!b || !wrapmode) return InvalidParameter;
  *wrapmode = b->wrap;
  return Ok;
}

Status GdipGetTextureImage(GpTexture* brush, GpImage** image) {
  QD_GDIP_ENTER();
  auto* b = GetTexture(brush);
  if (!b || !image) return InvalidParameter;
  auto c = b->image->Clone();
  if (!c) return OutOfMemory;
  *image = Adopt(std::move(c))->Handle();
  return Ok;
}

}  // namespace qd::gdiplus
