#pragma once
// GDI internals shared by the gdi_*.cpp files: the handle table, the objects, pixel formats,
// device contexts and the painting engine. Not for use outside platform/os.
#include <pixman.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

#include "platform/os/gdi.h"
#include "platform/os/gdi_surface.h"
#include "platform/os/pixman_region.h"

namespace qd::gdi {

// ---- Regions ---------------------------------------------------------------------------------

// Regions are pixman regions. Coordinates are clamped to kCoordLimit so that no arithmetic on
// them can overflow.
constexpr int32_t kCoordLimit = 1 << 27;
int32_t ClampCoord(int64_t v);
// A rectangle with every coordinate clamped, so that sums and differences cannot overflow.
inline TRect ClampRect(const TRect& r) {
  return {ClampCoord(r.Left), ClampCoord(r.Top), ClampCoord(r.Right), ClampCoord(r.Bottom)};
}
// A real coordinate rounded to the nearest integer and clamped (NaN gives 0).
inline int32_t RoundCoord(double v) {
  if (v != v) return 0;
  if (v <= -kCoordLimit) return -kCoordLimit;
  if (v >= kCoordLimit) return kCoordLimit;
  return static_cast<int32_t>(std::floor(v + 0.5));
}
// x + w clamped.
inline int32_t AddC(int64_t a, int64_t b) {
  return ClampCoord(a + b);
}

using Rgn = os::PixmanRegion;

// ---- Handle table ----------------------------------------------------------------------------

enum class Kind : uint8_t { DC, Bitmap, Brush, Pen, Font, Region, Palette };

struct Object {
  explicit Object(Kind k) : kind(k) {}
  virtual ~Object() = default;
  Kind kind;
  HGDIOBJ handle = nullptr;
  bool stock = false;  // never deleted
  // Device contexts (and their saved states) that hold it; stock objects, pens, brushes and
  // fonts are selected by DCs of any thread.
  std::atomic<int> selections{0};
};

HGDIOBJ AddObject(std::unique_ptr<Object> object);
Object* FindObject(HGDIOBJ handle);
void RemoveObject(HGDIOBJ handle);
template <class T>
T* Find(HGDIOBJ handle) {
  Object* o = FindObject(handle);
  return o && o->kind == T::kKind ? static_cast<T*>(o) : nullptr;
}
void Retain(HGDIOBJ handle);
void Release(HGDIOBJ handle);

// ---- Pixels ----------------------------------------------------------------------------------

enum class Format : uint8_t { Mono, Pal4, Pal8, Rgb24, Bgra32 };

// A view of pixel memory. Native pixel values: the palette index for Mono/Pal4/Pal8,
// 0x00RRGGBB for Rgb24, 0xAARRGGBB for Bgra32.
struct Pixmap {
  uint8_t* top = nullptr;  // row 0 (the top row)
  ptrdiff_t stride = 0;    // bytes from one row to the next one below; negative for bottom-up storage
  int32_t width = 0;
  int32_t height = 0;
  Format format = Format::Bgra32;
  bool alphaIsData = true;  // false for device-dependent pixels: their alpha byte reads as 0
  const RGBQUAD* colors = nullptr;
  int numColors = 0;
  uint8_t* Row(int32_t y) const { return top + static_cast<ptrdiff_t>(y) * stride; }
  uint32_t Get(int32_t x, int32_t y) const;
  void Put(int32_t x, int32_t y, uint32_t v) const;
};

inline uint32_t ColorToArgb(COLORREF c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline COLORREF ArgbToColor(uint32_t v) {
  return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}
uint32_t NativeFromColor(const Pixmap& pm, COLORREF color);
COLORREF ColorFromNative(const Pixmap& pm, uint32_t v);
uint32_t NativeMask(Format f);
int BitsOf(Format f);

// ---- Objects ---------------------------------------------------------------------------------

struct Bitmap : Object {
  static constexpr Kind kKind = Kind::Bitmap;
  Bitmap() : Object(Kind::Bitmap) {}
  int32_t width = 0;
  int32_t height = 0;
  int bpp = 32;
  Format format = Format::Bgra32;
  bool dib = false;      // a DIB section (its bits are visible to the caller)
  bool topDown = false;  // storage order of a DIB section
  ptrdiff_t stride = 0;  // bytes per stored row
  std::unique_ptr<uint8_t[]> storage;
  std::vector<RGBQUAD> colors;
  DWORD compression = BI_RGB;
  HDC owner = nullptr;  // the memory DC it is selected into
  SIZE dimension;       // SetBitmapDimensionEx
  uint8_t* Bits() const { return storage.get(); }
  Pixmap View() const;
};

struct Brush : Object {
  static constexpr Kind kKind = Kind::Brush;
  Brush() : Object(Kind::Brush) {}
  UINT style = BS_SOLID;
  COLORREF color = 0;
  int hatch = 0;
  // Pattern brushes: the pattern's pixels, mono (0/1) or colours (0x00RRGGBB).
  int32_t patWidth = 0;
  int32_t patHeight = 0;
  bool patMono = false;
  std::vector<uint32_t> pattern;
  int sysColor = -1;  // follows a system colour
  bool dcBrush = false;
};

struct Pen : Object {
  static constexpr Kind kKind = Kind::Pen;
  Pen() : Object(Kind::Pen) {}
  DWORD style = PS_SOLID;  // full style word (type, end cap, join, style)
  int32_t width = 1;
  COLORREF color = 0;
  bool ext = false;  // made by ExtCreatePen
  UINT brushStyle = BS_SOLID;
  ULONG_PTR hatch = 0;
  std::vector<DWORD> userStyle;
  bool dcPen = false;
  int Style() const { return static_cast<int>(style & PS_STYLE_MASK); }
};

class FontFace;  // gdi_font.h
struct Font : Object {
  static constexpr Kind kKind = Kind::Font;
  Font() : Object(Kind::Font) {}
  LOGFONTW lf;
  int points = 0;  // stock fonts sized in points follow the screen DPI (lfHeight = -points * dpi / 72)
  std::shared_ptr<FontFace> face;  // resolved on first use
  int faceDpi = 0;
  // The logical font as it stands now.
  LOGFONTW Logical() const;
};

struct Region : Object {
  static constexpr Kind kKind = Kind::Region;
  Region() : Object(Kind::Region) {}
  Rgn rgn;
};

struct Palette : Object {
  static constexpr Kind kKind = Kind::Palette;
  Palette() : Object(Kind::Palette) {}
  std::vector<PALETTEENTRY> entries;
};

// ---- Device contexts -------------------------------------------------------------------------

struct PointD {
  double x = 0, y = 0;
};

enum class DcType : uint8_t { Memory, Surface, Display };

struct MetaRecorder;  // gdi_metafile_record.cpp

struct DcState {
  POINT windowOrg;
  POINT viewportOrg;
  SIZE windowExt{1, 1};
  SIZE viewportExt{1, 1};
  int mapMode = MM_TEXT;
  int graphicsMode = GM_COMPATIBLE;
  XFORM xform;
  POINT brushOrg;
  COLORREF textColor = 0;
  COLORREF bkColor = 0xFFFFFF;
  int bkMode = OPAQUE;
  int rop2 = R2_COPYPEN;
  int stretchMode = BLACKONWHITE;
  UINT textAlign = TA_LEFT | TA_TOP;
  int polyFillMode = ALTERNATE;
  int arcDirection = AD_COUNTERCLOCKWISE;
  POINT curPos;
  COLORREF dcBrushColor = 0xFFFFFF;
  COLORREF dcPenColor = 0;
  int charExtra = 0;
  int breakExtra = 0;
  int breakCount = 0;
  DWORD layout = 0;
  HGDIOBJ pen = nullptr;
  HGDIOBJ brush = nullptr;
  HGDIOBJ font = nullptr;
  HGDIOBJ bitmap = nullptr;
  HGDIOBJ palette = nullptr;
  std::optional<Rgn> clip;  // the application clip region, device coordinates
};

struct Dc : Object {
  static constexpr Kind kKind = Kind::DC;
  Dc() : Object(Kind::DC) {}
  ~Dc() override;
  DcType type = DcType::Memory;
  DcState s;
  std::vector<DcState> saved;
  // Surface DCs.
  std::shared_ptr<Surface> surface;
  POINT offset;
  std::optional<Rgn> vis;
  HWND window = nullptr;
  int32_t layoutWidth = 0;  // the width a mirrored layout reflects in; 0: the target's width
  DWORD thread = 0;         // the thread that made a surface DC: the only one that draws with it
  // The path being recorded (BeginPath .. EndPath) or the last one, in device coordinates.
  struct Path {
    bool open = false;  // recording
    bool done = false;  // a complete path exists
    std::vector<std::vector<PointD>> figures;
    std::vector<uint8_t> closed;
    int32_t widen = 0;  // WidenPath: the path stands for the outline of this pen width
  } path;
  // A metafile DC: its drawing calls are recorded here (and draw nowhere).
  std::shared_ptr<MetaRecorder> meta;
};

// The DC of a drawing call; debug builds stop when a surface DC (a window's) is used by a
// thread other than the one that made it.
Dc* FindDc(HDC dc);
// Target pixels of a DC, nullopt when it draws nowhere (a display DC).
std::optional<Pixmap> TargetOf(const Dc& dc, POINT* deviceOffset);
// The device-space rectangle a DC can draw into (before clipping).
pixman_box32_t DeviceBounds(const Dc& dc);
// The region drawing is clipped to (device coordinates): bounds, visible region, clip region.
Rgn VisibleClip(const Dc& dc);
Bitmap* SelectedBitmap(const Dc& dc);

// Coordinates.
struct Transform {
  double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
  bool IsTranslation() const { return m11 == 1 && m12 == 0 && m21 == 0 && m22 == 1; }
  bool IsAxisAligned() const { return m12 == 0 && m21 == 0; }
};
Transform DeviceTransform(const Dc& dc);  // logical -> device
POINT ToDevice(const Transform& t, int x, int y);
// A logical rectangle [l, r) x [t, b) as device rectangle (axis-aligned transforms): a
// logical pixel index i lands on device pixel T(i), so mirrored rectangles keep their pixels.
RECT ToDeviceRect(const Transform& t, const RECT& r);
RECT ToLogicalRect(const Transform& t, const RECT& r);
// Normalised rectangle (left <= right, top <= bottom).
RECT Normalized(const RECT& r);

// ---- Painting --------------------------------------------------------------------------------

// A destination prepared for one drawing call.
struct Dest {
  Dc* dc = nullptr;
  Pixmap pm;
  POINT offset;  // pixmap = device + offset
  Rgn clip;      // device coordinates
  bool clipIsRect = false;
  pixman_box32_t clipBox{0, 0, 0, 0};
};
// False when nothing can be drawn (no target, empty clip).
bool PrepareDest(Dc& dc, Dest& out);

// Pattern operand (P) realised in the destination's native format.
struct Pattern {
  bool solid = true;
  uint32_t value = 0;
  int32_t w = 0, h = 0;
  std::vector<uint32_t> values;
  std::vector<uint8_t> skip;   // transparent pixels (hatch background in TRANSPARENT mode)
  int32_t orgX = 0, orgY = 0;  // device coordinates of pattern pixel (0,0)
  bool hasSkip = false;
};
// Realises a brush for the DC (its colours, brush origin). Returns false for a null brush.
bool MakePattern(const Dest& d, const Brush* brush, Pattern& out);
Pattern SolidPattern(const Dest& d, COLORREF color);
Brush* CurrentBrush(const Dc& dc);
Pen* CurrentPen(const Dc& dc);
COLORREF BrushColor(const Dc& dc, const Brush& b);
COLORREF PenColor(const Dc& dc, const Pen& p);

uint8_t Rop2ToRop3(int rop2);
bool RopUsesP(uint8_t rop);
bool RopUsesS(uint8_t rop);
bool RopUsesD(uint8_t rop);
uint32_t EvalRop3(uint8_t rop, uint32_t p, uint32_t s, uint32_t d);

// Applies a ROP over boxes (device coordinates, clipped here). s: source rows in destination
// native values for the box's area, or nullptr when the ROP ignores the source.
void FillBoxes(Dest& d, const pixman_box32_t* boxes, int n, const Pattern* p, uint8_t rop);
void FillRgn(Dest& d, const Rgn& rgn, const Pattern* p, uint8_t rop);
void FillBox(Dest& d, const pixman_box32_t& box, const Pattern* p, uint8_t rop);

// A source image for ROP blits: native destination values, `stride` values per row, covering
// device rectangle `area` of the destination. `valid` (optional) marks pixels that have a source.
struct SourceImage {
  pixman_box32_t area{0, 0, 0, 0};
  std::vector<uint32_t> px;
  std::vector<uint8_t> valid;
  int32_t stride = 0;
};
void RopBlit(Dest& d, const SourceImage& src, const Pattern* p, uint8_t rop,
             const uint8_t* maskBits = nullptr, uint8_t backRop = 0);

// Blends a coverage mask (0..255) in `color` at device position (x, y); alpha becomes 0.
void BlendCoverage(Dest& d, int32_t x, int32_t y, int32_t w, int32_t h, const uint8_t* cov,
                   ptrdiff_t covStride, COLORREF color);

// Shapes -> device-space boxes. `window` (optional) limits the rows and columns produced to
// the part that can be seen; without it at most kMaxRasterRows rows are produced.
constexpr int32_t kMaxRasterRows = 1 << 20;
using Boxes = std::vector<pixman_box32_t>;
// Pixels whose centres lie inside the polygons (GDI's fill rule).
void RasterPolygon(const std::vector<std::vector<PointD>>& polys, bool winding, Boxes& out,
                   const pixman_box32_t* window = nullptr);
// Ellipse inscribed in [l, r) x [t, b) (pixels l..r-1): filled area and its one-pixel outline.
void RasterEllipse(int32_t l, int32_t t, int32_t r, int32_t b, Boxes* fill, Boxes* outline,
                   const pixman_box32_t* window = nullptr);
// Round rectangle: corners are quarter ellipses of a cw x ch ellipse.
void RasterRoundRect(int32_t l, int32_t t, int32_t r, int32_t b, int32_t cw, int32_t ch, Boxes* fill,
                     Boxes* outline, const pixman_box32_t* window = nullptr);
// One-pixel line from p0 to p1 without its last point (Bresenham), only the steps whose major
// coordinate falls inside `window` (one pixel of margin); plot(x, y, step) for each pixel.
template <class F>
void WalkLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const pixman_box32_t& window, F&& plot) {
  int64_t dx = x1 > x0 ? int64_t(x1) - x0 : int64_t(x0) - x1;
  int64_t dy = y1 > y0 ? int64_t(y1) - y0 : int64_t(y0) - y1;
  int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  bool xMajor = dx >= dy;
  int64_t major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
  int64_t m0 = xMajor ? x0 : y0;
  int smaj = xMajor ? sx : sy;
  int64_t lo = (xMajor ? window.x1 : window.y1) - 1, hi = (xMajor ? window.x2 : window.y2) + 1;
  // Steps i with m0 + smaj * i in [lo, hi).
  int64_t first = 0, last = major;
  if (smaj > 0) {
    first = std::max<int64_t>(first, lo - m0);
    last = std::min<int64_t>(last, hi - m0);
  } else {
    first = std::max<int64_t>(first, m0 - hi + 1);
    last = std::min<int64_t>(last, m0 - lo + 1);
  }
  int64_t e0 = major / 2;
  for (int64_t i = first; i < last; ++i) {
    // Minor steps taken after i major steps: the least m with e0 - i*minor + m*major >= 0.
    int64_t need = i * minor - e0;
    int64_t m = need > 0 ? (need + major - 1) / major : 0;
    int64_t x = xMajor ? x0 + sx * i : x0 + sx * m;
    int64_t y = xMajor ? y0 + sy * m : y0 + sy * i;
    plot(static_cast<int32_t>(x), static_cast<int32_t>(y), i);
  }
}

// ---- Metafile recording ----------------------------------------------------------------------

// Each drawing or state call on a metafile DC records itself through one of these (only the
// call the application made: calls that others make on its behalf record their own parts).
// Stops recording while the DC's own function calls others on the application's behalf.
struct MetaPause {
  explicit MetaPause(Dc& d) : dc(d), recorder(std::move(d.meta)) {}
  ~MetaPause() { dc.meta = std::move(recorder); }
  MetaPause(const MetaPause&) = delete;
  MetaPause& operator=(const MetaPause&) = delete;
  Dc& dc;
  std::shared_ptr<MetaRecorder> recorder;
};
// The DC when it records into a metafile, else null.
Dc* RecordingDc(HDC dc);
void MetaRecord(Dc& dc, DWORD type, std::initializer_list<int32_t> params);
void MetaRecordPoly(Dc& dc, DWORD type, const POINT* points, size_t count);
void MetaRecordPolyPoly(Dc& dc, DWORD type, const POINT* points, const DWORD* counts, size_t polys);
void MetaRecordShape(Dc& dc, DWORD type, const RECT& r, std::initializer_list<int32_t> more);
void MetaRecordSelect(Dc& dc, HGDIOBJ object);
void MetaRecordDelete(HGDIOBJ object);
void MetaRecordXform(Dc& dc, DWORD type, const XFORM& x, DWORD mode);
void MetaRecordText(Dc& dc, int x, int y, UINT options, const RECT* rect, const char16_t* s, size_t n,
                    const INT* dx, UINT align);
void MetaRecordDib(Dc& dc, int xd, int yd, int wd, int hd, int xs, int ys, int ws, int hs, const void* bits,
                   const BITMAPINFO* info, UINT usage, DWORD rop);
void MetaRecordBlt(Dc& dc, int xd, int yd, int wd, int hd, HDC src, int xs, int ys, int ws, int hs, DWORD rop,
                   const BLENDFUNCTION* blend);
void MetaRecordBrushRects(Dc& dc, HBRUSH brush, const RECT* rects, size_t n, DWORD rop);
void MetaRecordClip(Dc& dc, HRGN region, int mode);

// Stock objects and system colours.
HGDIOBJ StockObject(int index);
// The brush of a system colour (stock, follows the colour).
HGDIOBJ SysColorBrushHandle(int index);
COLORREF SysColor(int index);

// Device settings.
int ScreenDpi();
SIZE ScreenSize();

}  // namespace qd::gdi
