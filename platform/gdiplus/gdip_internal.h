#pragma once
// Internals of the GDI+ flat API: the objects behind the handles, the handle registry and the
// drawing machinery shared by the gdip_*.cpp files. Not for use outside platform/gdiplus.
#include <cairo.h>
#include <pixman.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "platform/gdiplus/gdiplus.h"
#include "platform/os/pixman_region.h"

namespace qd::gdiplus::detail {

// ---- Registry --------------------------------------------------------------------------------

// Every live object is registered under its handle, so a stale or foreign handle is found
// to be invalid instead of being followed.
struct Object {
  virtual ~Object() = default;
};

std::recursive_mutex& ApiMutex();
bool Started();
void Register(const void* handle, Object* object);
void Unregister(const void* handle);
Object* Lookup(const void* handle);

template <class T>
T* Get(const void* handle) {
  return handle ? dynamic_cast<T*>(Lookup(handle)) : nullptr;
}

// Registers a new object and returns it; `T::Public` is its handle type.
template <class T>
T* Adopt(std::unique_ptr<T> object) {
  T* raw = object.release();
  Register(raw->Key(), raw);
  return raw;
}
// Unregisters and deletes.
void Destroy(const void* handle);

#define QD_GDIP_LOCK() std::lock_guard<std::recursive_mutex> qdGdipLock_(::qd::gdiplus::detail::ApiMutex())
#define QD_GDIP_ENTER() \
  QD_GDIP_LOCK();       \
  if (!::qd::gdiplus::detail::Started()) return GdiplusNotInitialized

// ---- Numbers ---------------------------------------------------------------------------------

inline bool Finite(double v) {
  return std::isfinite(v);
}
template <class... T>
bool Finite(double v, T... rest) {
  return std::isfinite(v) && Finite(rest...);
}
bool FinitePoints(const GpPointF* p, INT count);
// Integer points as REAL points.
std::vector<GpPointF> ToF(const GpPoint* p, INT count);

// Largest device coordinate drawn; beyond it drawing answers ValueOverflow.
constexpr double kMaxDeviceCoord = 4194304.0;

// ---- Matrices --------------------------------------------------------------------------------

// x' = x m11 + y m21 + dx, y' = x m12 + y m22 + dy.
struct Mx {
  double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
  bool IsIdentity() const { return m11 == 1 && m12 == 0 && m21 == 0 && m22 == 1 && dx == 0 && dy == 0; }
  bool IsAxisAligned() const { return m12 == 0 && m21 == 0; }
  double Det() const { return m11 * m22 - m12 * m21; }
  bool Invertible() const { return Det() != 0 && std::isfinite(Det()); }
  Mx Inverse() const;
  void Apply(double& x, double& y) const {
    double nx = x * m11 + y * m21 + dx;
    y = x * m12 + y * m22 + dy;
    x = nx;
  }
  void ApplyVector(double& x, double& y) const {
    double nx = x * m11 + y * m21;
    y = x * m12 + y * m22;
    x = nx;
  }
  // How much lengths grow, on average over directions.
  double Scale() const { return std::sqrt(std::fabs(Det())); }
  cairo_matrix_t Cairo() const { return {m11, m12, m21, m22, dx, dy}; }
  static Mx FromCairo(const cairo_matrix_t& m) { return {m.xx, m.yx, m.xy, m.yy, m.x0, m.y0}; }
  static Mx Translation(double x, double y) { return {1, 0, 0, 1, x, y}; }
  static Mx Scaling(double x, double y) { return {x, 0, 0, y, 0, 0}; }
  static Mx Rotation(double degrees);
  static Mx Shearing(double x, double y) { return {1, y, x, 1, 0, 0}; }
};
// a then b.
Mx operator*(const Mx& a, const Mx& b);
// GDI+ order: Prepend applies `m` first, Append applies it last.
void Combine(Mx& target, const Mx& m, MatrixOrder order);

struct Matrix : Object, GpMatrix {
  Mx m;
  const void* Key() { return static_cast<GpMatrix*>(this); }
};

// ---- Paths -----------------------------------------------------------------------------------

struct PathData {
  std::vector<GpPointF> points;
  std::vector<BYTE> types;
  FillMode fillMode = FillModeAlternate;
  bool newFigure = true;

  void AddPoint(double x, double y, BYTE type);
  // Starts a figure unless one is open, then continues it with a line to (x, y).
  void LineTo(double x, double y);
  void BezierTo(double x1, double y1, double x2, double y2, double x3, double y3);
  void CloseFigure();
  void StartFigure() { newFigure = true; }
  bool Empty() const { return points.empty(); }
  void Transform(const Mx& m);
  // Lines and arcs, each of them continuing the current figure.
  void AddLines(const GpPointF* p, INT count);
  void AddArc(double x, double y, double w, double h, double start, double sweep);
  void AddBeziers(const GpPointF* p, INT count);
  void AddCurve(const GpPointF* p, INT count, INT offset, INT segments, double tension, bool closed);
  // Closed figures of their own.
  void AddRectangle(double x, double y, double w, double h);
  void AddEllipse(double x, double y, double w, double h);
  void AddPie(double x, double y, double w, double h, double start, double sweep);
  void AddPolygon(const GpPointF* p, INT count);
};

// The path after `m` as polylines (x, y pairs), one per figure, and whether each is closed.
void Flatten(const PathData& path, const Mx& m, double tolerance, std::vector<std::vector<double>>& xy,
             std::vector<bool>& closed);
// Bounds of the path's points (control points of curves included), after `m`.
bool PathBounds(const PathData& path, const Mx& m, double& l, double& t, double& r, double& b);
bool PointInPath(const PathData& path, double x, double y);

struct Path : Object, GpPath {
  PathData data;
  const void* Key() { return static_cast<GpPath*>(this); }
};

// ---- Pixel regions ---------------------------------------------------------------------------

using PixRgn = os::PixmanRegion;

// Pixel limits of everything rasterised (well inside pixman's and cairo's ranges).
constexpr int32_t kPixLimit = 1 << 22;

// The pixels rasterising looks at: everything, or a target's bounds.
constexpr pixman_box32_t kAllPixels{-kPixLimit, -kPixLimit, kPixLimit, kPixLimit};

// Pixels whose centres (x + 0.5, y + 0.5) lie inside the polygons, within a window.
PixRgn RasterPolygons(const std::vector<std::vector<double>>& polys, bool winding,
                      const pixman_box32_t& window = kAllPixels);
// Pixels whose centres lie in [l, r) x [t, b), within a window.
PixRgn RasterRect(double l, double t, double r, double b, const pixman_box32_t& window = kAllPixels);

// ---- Regions ---------------------------------------------------------------------------------

struct RegionNode;
using RegionPtr = std::shared_ptr<const RegionNode>;
struct RegionNode {
  enum Type : uint8_t { Empty, Infinite, Rect, Path, Combine } type = Empty;
  GpRectF rect;                         // Rect
  std::shared_ptr<PathData> path;       // Path (its own copy)
  CombineMode op = CombineModeReplace;  // Combine: left op right
  RegionPtr left, right;
  uint32_t depth = 0;  // of the combine tree below
};
RegionPtr MakeRegion(RegionNode::Type type);
RegionPtr MakeRectRegion(double x, double y, double w, double h);
RegionPtr MakePathRegion(const PathData& path);
inline bool ValidMode(CombineMode m) {
  return m >= CombineModeReplace && m <= CombineModeComplement;
}
RegionPtr CombineRegions(const RegionPtr& a, const RegionPtr& b, CombineMode op);
RegionPtr TransformRegion(const RegionPtr& r, const Mx& m);
// The pixels of the region after `m`, within a window.
PixRgn RasterRegion(const RegionPtr& r, const Mx& m, const pixman_box32_t& window = kAllPixels);
bool RegionContains(const RegionPtr& r, double x, double y);
bool RegionIsInfinite(const RegionPtr& r);
// The region's bounds in its own coordinates (exact for rectangles and paths).
GpRectF RegionBounds(const RegionPtr& r);

struct Region : Object, GpRegion {
  RegionPtr root = MakeRegion(RegionNode::Infinite);
  const void* Key() { return static_cast<GpRegion*>(this); }
};

// ---- Images ----------------------------------------------------------------------------------

struct Image : Object {
  virtual ~Image() = default;
  virtual GpImage* Handle() = 0;
  const void* Key() { return Handle(); }
};

struct Bitmap : Image, GpBitmap {
  GpImage* Handle() override { return this; }

  int32_t width = 0;
  int32_t height = 0;
  PixelFormat format = PixelFormat32bppARGB;    // how the pixels are kept (32 or 24 bits)
  PixelFormat reported = PixelFormat32bppARGB;  // what GdipGetImagePixelFormat answers
  int32_t stride = 0;                           // may be negative for caller memory
  uint8_t* scan0 = nullptr;                     // row 0
  std::unique_ptr<uint8_t[]> own;               // null when the caller owns the pixels
  GUID rawFormat = ImageFormatMemoryBMP;
  double dpiX = 96;
  double dpiY = 96;
  UINT flags = 0;
  codecs::ColorPalette palette;
  // What the decoder produced: every frame and the properties; null for bitmaps made here.
  std::shared_ptr<codecs::Image> source;
  UINT activeFrame = 0;
  std::vector<codecs::PropertyItem> properties;
  // LockBits state.
  bool locked = false;
  GpRect lockRect;
  UINT lockFlags = 0;
  PixelFormat lockFormat = 0;
  std::unique_ptr<uint8_t[]> lockBuffer;
  void* lockScan0 = nullptr;
  INT lockStride = 0;

  uint8_t* Row(int32_t y) const { return scan0 + static_cast<ptrdiff_t>(y) * stride; }
  // Allocates own pixels (zeroed). OutOfMemory when too large.
  Status Allocate(int32_t w, int32_t h, PixelFormat f);
  // Straight 0xAARRGGBB of one pixel, and its setter.
  uint32_t GetArgb(int32_t x, int32_t y) const;
  void SetArgb(int32_t x, int32_t y, uint32_t argb);
  // A rectangle of pixels as premultiplied 0xAARRGGBB (cairo's ARGB32), and back.
  void ReadPremultiplied(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t* dst,
                         ptrdiff_t dstStride) const;
  void WritePremultiplied(int32_t x, int32_t y, int32_t w, int32_t h, const uint32_t* src,
                          ptrdiff_t srcStride);
  // Loads frame `index` of `source` into the pixels.
  Status LoadFrame(UINT index);
  std::unique_ptr<Bitmap> Clone() const;
};

// A metafile image: the picture's bytes, and its pixels at its own size so that everything
// that reads pixels works; drawing at another size plays the records again at that size.
struct Metafile : Bitmap {
  std::shared_ptr<const std::vector<uint8_t>> bytes;
  bool enhanced = true;
};
// Loads checked EMF or WMF data (InvalidParameter for a damaged file).
Status LoadMetafile(std::span<const uint8_t> data, std::unique_ptr<Metafile>& out);
// The picture played into a w x h bitmap (premultiplied, transparent where nothing is drawn).
Status RenderMetafile(const Metafile& m, int32_t w, int32_t h, Bitmap& out);
std::unique_ptr<Metafile> CloneMetafile(const Metafile& m);
// Metafile pixels are only read: what changes them is refused.
inline bool IsMetafile(const Bitmap* b) {
  return dynamic_cast<const Metafile*>(b) != nullptr;
}

uint32_t Premultiply(uint32_t argb);
uint32_t Unpremultiply(uint32_t pargb);
bool IsSupportedFormat(PixelFormat f);  // the formats bitmaps are kept in
// A bitmap made from decoded data (first frame active).
Status BitmapFromDecoded(std::shared_ptr<codecs::Image> decoded, std::unique_ptr<Bitmap>& out);

// ---- Image attributes ------------------------------------------------------------------------

struct ColorAdjust {
  bool used = false;  // any setting was made for this category
  bool noOp = false;
  bool hasMatrix = false;
  ColorMatrix matrix;
  ColorMatrix grayMatrix;
  ColorMatrixFlags matrixFlags = ColorMatrixFlagsDefault;
  bool hasThreshold = false;
  float threshold = 0;
  bool hasGamma = false;
  float gamma = 1;
  bool hasKeys = false;
  ARGB keyLow = 0, keyHigh = 0;
  bool hasChannel = false;
  ColorChannelFlags channel = ColorChannelFlagsC;
  bool hasProfile = false;
  std::u16string profile;
  bool hasRemap = false;
  std::vector<ColorMap> remap;
  bool Active() const {
    return !noOp && (hasMatrix || hasThreshold || hasGamma || hasKeys || hasChannel || hasRemap);
  }
  // Recolours straight 0xAARRGGBB pixels.
  void Apply(uint32_t* px, size_t n) const;
};

struct ImageAttributes : Object, GpImageAttributes {
  ColorAdjust adjust[ColorAdjustTypeCount];
  WrapMode wrap = WrapModeClamp;
  ARGB wrapColor = 0;
  bool clamp = false;
  bool wrapSet = false;
  const void* Key() { return static_cast<GpImageAttributes*>(this); }
  // The settings that apply to `type` (its own when used, else the default category).
  const ColorAdjust& For(ColorAdjustType type) const {
    return adjust[type].used ? adjust[type] : adjust[ColorAdjustTypeDefault];
  }
};

// ---- Brushes ---------------------------------------------------------------------------------

struct Brush : Object {
  virtual ~Brush() = default;
  virtual GpBrush* Handle() = 0;
  virtual BrushType Type() const = 0;
  virtual std::unique_ptr<Brush> Clone() const = 0;
  const void* Key() { return Handle(); }
};

struct SolidFill : Brush, GpSolidFill {
  ARGB color = 0;
  GpBrush* Handle() override { return static_cast<GpSolidFill*>(this); }
  BrushType Type() const override { return BrushTypeSolidColor; }
  std::unique_ptr<Brush> Clone() const override { return std::make_unique<SolidFill>(*this); }
};

struct HatchFill : Brush, GpHatch {
  HatchStyle style = HatchStyleHorizontal;
  ARGB fore = 0, back = 0;
  GpBrush* Handle() override { return static_cast<GpHatch*>(this); }
  BrushType Type() const override { return BrushTypeHatchFill; }
  std::unique_ptr<Brush> Clone() const override { return std::make_unique<HatchFill>(*this); }
};

// How a gradient runs from its first colour (position 0) to its second (position 1): linear,
// by blend factors, or by preset colours that replace both colours.
struct Blend {
  std::vector<REAL> factors, positions;  // empty: linear
  std::vector<ARGB> presetColors;        // non-empty replaces the two colours and the factors
  std::vector<REAL> presetPositions;

  Status SetFactors(const REAL* blend, const REAL* pos, INT count);
  INT FactorCount() const { return factors.empty() ? 1 : static_cast<INT>(factors.size()); }
  Status GetFactors(REAL* blend, REAL* pos, INT count) const;
  Status SetPreset(const ARGB* blend, const REAL* pos, INT count);
  INT PresetCount() const { return static_cast<INT>(presetColors.size()); }
  Status GetPreset(ARGB* blend, REAL* pos, INT count) const;
  // A bell curve or a triangle peaking at `focus` with `scale`.
  Status SetSigma(REAL focus, REAL scale);
  Status SetLinear(REAL focus, REAL scale);
  // The colour stops from c0 at 0 to c1 at 1; with `gamma` the colour channels are
  // interpolated in linear light, through extra stops.
  std::vector<std::pair<double, ARGB>> Stops(ARGB c0, ARGB c1, bool gamma) const;
};

struct LineGradient : Brush, GpLineGradient {
  GpRectF rect;
  ARGB colors[2] = {0, 0};
  Mx geometry;  // gradient space (x = 0 at the start colour, 1 at the end) to world
  WrapMode wrap = WrapModeTile;
  Mx transform;
  bool gamma = false;
  Blend blend;
  GpBrush* Handle() override { return static_cast<GpLineGradient*>(this); }
  BrushType Type() const override { return BrushTypeLinearGradient; }
  std::unique_ptr<Brush> Clone() const override { return std::make_unique<LineGradient>(*this); }
};

struct Texture : Brush, GpTexture {
  std::shared_ptr<Bitmap> image;  // the brush's own copy of the source part
  WrapMode wrap = WrapModeTile;
  Mx transform;
  GpBrush* Handle() override { return static_cast<GpTexture*>(this); }
  BrushType Type() const override { return BrushTypeTextureFill; }
  std::unique_ptr<Brush> Clone() const override { return std::make_unique<Texture>(*this); }
};

// A brush whose colour runs from the outline of a path (the surround colours, one per point)
// to a centre point (the centre colour); with focus scales the centre colour fills a copy of
// the outline shrunk about the centre by those factors. Position 0 of the blend is the outline,
// 1 the centre.
struct PathGradient : Brush, GpPathGradient {
  PathData path;
  GpPointF center;
  ARGB centerColor = 0xFFFFFFFF;
  std::vector<ARGB> surround;  // one per path point
  REAL focusX = 0, focusY = 0;
  WrapMode wrap = WrapModeClamp;
  Mx transform;
  bool gamma = false;
  Blend blend;
  GpBrush* Handle() override { return static_cast<GpPathGradient*>(this); }
  BrushType Type() const override { return BrushTypePathGradient; }
  std::unique_ptr<Brush> Clone() const override { return std::make_unique<PathGradient>(*this); }
};
class Canvas;
cairo_pattern_t* PathGradientPattern(const PathGradient& b, const Canvas& canvas);

// ---- Custom line caps ------------------------------------------------------------------------

// A cap drawn at the ends of open lines, in a space where one unit is the pen's width (times
// widthScale), the y axis runs along the line outwards from its end and the end point is the
// origin. The line is shortened by baseInset widths.
struct CustomLineCap : Object, GpAdjustableArrowCap {
  PathData fill, stroke;
  bool hasFill = false, hasStroke = false;
  LineCap baseCap = LineCapFlat;
  REAL baseInset = 0;
  LineCap strokeStartCap = LineCapFlat, strokeEndCap = LineCapFlat;
  LineJoin strokeJoin = LineJoinMiter;
  REAL widthScale = 1;
  // Adjustable arrow caps: the fill or stroke is rebuilt from these.
  bool arrow = false;
  REAL arrowHeight = 0, arrowWidth = 0, middleInset = 0;
  bool arrowFilled = true;
  const void* Key() { return static_cast<GpCustomLineCap*>(this); }
  virtual ~CustomLineCap() = default;
  void BuildArrow();
};

// ---- Pens ------------------------------------------------------------------------------------

struct Pen : Object, GpPen {
  float width = 1;
  Unit unit = UnitWorld;
  std::unique_ptr<Brush> brush;
  LineCap startCap = LineCapFlat, endCap = LineCapFlat;
  DashCap dashCap = DashCapFlat;
  LineJoin join = LineJoinMiter;
  float miterLimit = 10;
  PenAlignment alignment = PenAlignmentCenter;
  Mx transform;
  DashStyle dashStyle = DashStyleSolid;
  std::vector<float> dashes;  // custom pattern, in widths
  float dashOffset = 0;
  std::shared_ptr<CustomLineCap> customStart, customEnd;  // with LineCapCustom
  const void* Key() { return static_cast<GpPen*>(this); }
  std::unique_ptr<Pen> Clone() const;
  // The dash pattern in widths; empty for solid.
  std::vector<double> Pattern() const;
};

// ---- Text ------------------------------------------------------------------------------------

struct FaceData;  // gdip_text.cpp
struct FamilyData {
  std::u16string name;    // as reported
  std::string installed;  // the installed family
  std::string files[4];   // regular, bold, italic, bold italic
  UINT16 emHeight = 2048, ascent = 0, descent = 0, lineSpacing = 0;
};

struct FontFamily : Object, GpFontFamily {
  std::shared_ptr<const FamilyData> data;
  const void* Key() { return static_cast<GpFontFamily*>(this); }
};

struct Font : Object, GpFont {
  std::shared_ptr<const FamilyData> family;
  float emSize = 10;
  INT style = FontStyleRegular;
  Unit unit = UnitPoint;
  const void* Key() { return static_cast<GpFont*>(this); }
  // The em size in pixels at a resolution (Display and World count as pixels).
  double EmPixels(double dpi) const;
};

struct StringFormat : Object, GpStringFormat {
  INT flags = 0;
  LANGID language = 0;
  StringAlignment align = StringAlignmentNear;
  StringAlignment lineAlign = StringAlignmentNear;
  StringTrimming trimming = StringTrimmingCharacter;
  HotkeyPrefix hotkey = HotkeyPrefixNone;
  REAL tabOffset = 0;
  std::vector<REAL> tabs;
  LANGID digitLanguage = 0;
  StringDigitSubstitute digitSubstitute = StringDigitSubstituteUser;
  std::vector<CharacterRange> ranges;
  bool typographic = false;  // no padding around lines, tight measuring
  const void* Key() { return static_cast<GpStringFormat*>(this); }
};

double UnitToPixels(Unit unit, double dpi);

// ---- Graphics --------------------------------------------------------------------------------

struct GraphicsStateData {
  Mx world;
  Unit pageUnit = UnitDisplay;
  float pageScale = 1;
  RegionPtr clip;  // device coordinates
  SmoothingMode smoothing = SmoothingModeNone;
  InterpolationMode interpolation = InterpolationModeBilinear;
  PixelOffsetMode pixelOffset = PixelOffsetModeDefault;
  CompositingMode compositing = CompositingModeSourceOver;
  CompositingQuality compositingQuality = CompositingQualityDefault;
  TextRenderingHint textHint = TextRenderingHintSystemDefault;
  UINT textContrast = 4;
  INT originX = 0, originY = 0;
};

struct Graphics : Object, GpGraphics {
  HDC hdc = nullptr;
  HWND hwnd = nullptr;       // the window whose DC this graphics took (released on delete)
  GpImage* image = nullptr;  // image graphics: the image's handle, looked up on every use
  double dpiX = 96, dpiY = 96;
  GraphicsStateData s;
  // The open container's mapping of its world space to the device, and the device clip that
  // it inherited; identity and infinite outside containers.
  Mx containerBase;
  RegionPtr containerClip = MakeRegion(RegionNode::Infinite);
  struct Saved {
    GraphicsState id;
    GraphicsStateData s;
    Mx containerBase;
    RegionPtr containerClip;
  };
  std::vector<Saved> saved;
  GraphicsState nextState = 1;
  // GdipGetDC state.
  bool busy = false;
  HDC imageDc = nullptr;
  HBITMAP imageDib = nullptr;
  HGDIOBJ imageOld = nullptr;
  std::vector<uint32_t> imageSnapshot;
  const void* Key() { return static_cast<GpGraphics*>(this); }
  ~Graphics() override;

  // World to device (page transform and container included).
  Mx WorldToDevice() const;
  Mx PageTransform() const;
  // The device clip drawing obeys: the graphics' own within the container's.
  RegionPtr EffectiveClip() const;
};

// ---- Drawing ---------------------------------------------------------------------------------

// Validates the graphics for drawing: not busy, its target alive.
Status CheckGraphics(Graphics* g);
Status FillPathWith(Graphics& g, const PathData& path, const Brush& brush);
Status StrokePathWith(Graphics& g, const PathData& path, const Pen& pen);
Status FillRegionWith(Graphics& g, const RegionPtr& region, const Brush& brush);
// Draws the source rectangle of the image onto the parallelogram (top-left, top-right,
// bottom-left) given in world coordinates.
Status DrawImageWith(Graphics& g, Bitmap& image, const GpPointF dest[3], double sx, double sy, double sw,
                     double sh, const ImageAttributes* attributes);
Status ClearWith(Graphics& g, ARGB color);
// The device pixels the graphics may draw (target bounds, DC clip and graphics clip).
Status VisiblePixels(Graphics& g, PixRgn& out, Mx* deviceToPixels = nullptr);

// One drawing call: the cairo context over the target's pixels, clipped, with the matrix
// world -> surface set. Closing writes converted pixels back. Pixel space is the target's
// pixels with row 0 at the top; surface space is the cairo surface's.
class Canvas {
 public:
  Canvas() = default;
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas();
  // Ok with Empty() true when there is nothing to draw on.
  Status Open(Graphics& g);
  cairo_t* cr() const { return cr_; }
  bool Empty() const { return empty_; }
  Graphics& graphics() const { return *g_; }
  // World to surface, with the pixel offset of the graphics' mode.
  Mx UserToSurface() const;
  const Mx& DeviceToPixels() const { return devToPix_; }
  const Mx& PixelsToSurface() const { return pixToSurface_; }
  bool PixelCentresOnIntegers() const;
  PixRgn ClipInSurface() const;

 private:
  void Close();
  Graphics* g_ = nullptr;
  cairo_surface_t* surface_ = nullptr;
  cairo_t* cr_ = nullptr;
  Mx devToPix_;
  Mx pixToSurface_;
  PixRgn clipPixels_;
  bool empty_ = true;
  // Targets drawn through a premultiplied copy.
  enum class Writeback : uint8_t { None, Dc, Bitmap } writeback_ = Writeback::None;
  std::vector<uint32_t> temp_, original_;
  int32_t tx_ = 0, ty_ = 0, tw_ = 0, th_ = 0;
  HDC dc_ = nullptr;
  Bitmap* bitmap_ = nullptr;
};

// A cairo pattern for a brush, for user space = world coordinates. `pixelCentres` shifts
// image patterns so that texel centres lie on integers.
cairo_pattern_t* MakePattern(const Brush& brush, const Canvas& canvas);
cairo_filter_t FilterFor(InterpolationMode mode);
// A premultiplied cairo surface of part of a bitmap (its own copy).
cairo_surface_t* SurfaceOf(const Bitmap& bitmap, int32_t x, int32_t y, int32_t w, int32_t h,
                           const ColorAdjust* adjust = nullptr);

// Resolves a brush handle of any kind.
Brush* GetBrush(const GpBrush* handle);
Image* GetImage(const GpImage* handle);
Bitmap* GetBitmap(const GpImage* handle);

// Text (gdip_text.cpp) used by paths.
Status AddStringToPath(PathData& path, const WCHAR* string, INT length, const FamilyData& family, INT style,
                       double emSize, const GpRectF& layout, const StringFormat* format);

}  // namespace qd::gdiplus::detail
