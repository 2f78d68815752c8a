#pragma once
// TcxCanvas: the drawing surface that every painter, control and editor receives. It wraps
// the platform canvas and adds stacks of saved device-context states, clip regions and
// font/brush/pen states, clipping by regions in logical coordinates, the library's sentinel
// colours (clNone draws nothing, clDefault keeps the current brush), frames and edges drawn
// from filled bands, text drawing with the library's text flags, and bitmap operations.
// TcxControlCanvas, TcxScreenCanvas and TcxPaintCanvas serve a control's canvas, measuring
// on the screen, and painting into foreign device contexts; cxScreenCanvas and
// cxPaintCanvas are the shared instances.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/geometry.h"
#include "platform/base/object.h"
#include "platform/base/set.h"
#include "platform/forms/controls.h"
#include "platform/forms/graphics.h"
#include "platform/forms/imglist.h"
#include "ui/core/dxCore.h"
#include "ui/graphics/cxGraphicsRegion.h"

namespace qd {

// --- Library text flags --------------------------------------------------------------------

constexpr int32_t cxAlignLeft = 0x1;
constexpr int32_t cxAlignRight = 0x2;
constexpr int32_t cxAlignHCenter = 0x4;
constexpr int32_t cxAlignTop = 0x8;
constexpr int32_t cxAlignBottom = 0x10;
constexpr int32_t cxAlignVCenter = 0x20;
constexpr int32_t cxSingleLine = 0x40;
constexpr int32_t cxDontClip = 0x80;
constexpr int32_t cxExpandTabs = 0x100;
constexpr int32_t cxShowPrefix = 0x200;
constexpr int32_t cxWordBreak = 0x400;
constexpr int32_t cxShowEndEllipsis = 0x800;
constexpr int32_t cxCalcRect = 0x1000;
constexpr int32_t cxShowPathEllipsis = 0x2000;
constexpr int32_t cxDontBreakChars = 0x4000;
constexpr int32_t cxNoFullWidthCharBreak = 0x8000;
constexpr int32_t cxRtlReading = 0x10000;

// The system DrawText flags of library text flags: DT_NOPREFIX unless cxShowPrefix, word
// break with DT_EDITCONTROL unless cxDontBreakChars.
UINT cxFlagsToDTFlags(int32_t Flags);

enum TcxAlignmentVert : uint8_t { vaTop, vaBottom, vaCenter };

inline constexpr int32_t cxAlignmentsHorz[] = {cxAlignLeft, cxAlignRight, cxAlignHCenter};  // by TAlignment
inline constexpr int32_t cxAlignmentsVert[] = {cxAlignTop, cxAlignBottom,
                                               cxAlignVCenter};  // by TcxAlignmentVert
inline constexpr UINT SystemAlignmentsHorz[] = {0, DT_RIGHT, DT_CENTER};
inline constexpr UINT SystemAlignmentsVert[] = {0, DT_BOTTOM, DT_VCENTER};

// --- Shared enumerations and records ----------------------------------------------------------

enum TcxRotationAngle : uint8_t { ra0, raPlus90, raMinus90, ra180 };

enum TcxBorder : uint8_t { bLeft, bTop, bRight, bBottom };
using TcxBorders = TSet<TcxBorder>;
inline const TcxBorders cxBordersAll{bLeft, bTop, bRight, bBottom};

// What styles hand to painters and to the canvas.
struct TcxViewParams {
  TBitmap* Bitmap = nullptr;
  TColor Color = clNone;
  TFont* Font = nullptr;
  TColor TextColor = clNone;
};

struct TcxDCState {
  HDC Handle = nullptr;
  int32_t State = 0;  // the system SaveDC index
};

struct TcxCanvasState {
  std::unique_ptr<TFont> Font;
  std::unique_ptr<TBrush> Brush;
  std::unique_ptr<TPen> Pen;
  TdxDefaultBoolean RightToLeftAlignment = bDefault;
  int32_t TextFlags = 0;
};

// --- TcxCanvas -----------------------------------------------------------------------------

class TcxCanvas : public TObject {
  QD_CLASS(TcxCanvas, TObject)

 public:
  // Does not own ACanvas.
  explicit TcxCanvas(TCanvas* ACanvas);
  ~TcxCanvas() override;

  TCanvas* Canvas() const { return FCanvas; }
  virtual void SetCanvas(TCanvas* Value);

  // Properties forwarded to the wrapped canvas.
  TBrush* Brush() const { return FCanvas->Brush(); }
  void SetBrush(TBrush* Value) { FCanvas->SetBrush(Value); }
  TPen* Pen() const { return FCanvas->Pen(); }
  void SetPen(TPen* Value) { FCanvas->SetPen(Value); }
  TFont* Font() const { return FCanvas->Font(); }
  void SetFont(TFont* Value) { FCanvas->SetFont(Value); }
  TCopyMode CopyMode() const { return FCanvas->CopyMode(); }
  void SetCopyMode(TCopyMode Value) { FCanvas->SetCopyMode(Value); }
  // The device context (created on demand, with font, pen and brush selected).
  HDC Handle() const { return FCanvas->Handle(); }
  bool HandleAllocated() const { return FCanvas->HandleAllocated(); }
  int32_t DpiX() const;
  int32_t DpiY() const;
  TPoint ViewportOrg() const;
  void SetViewportOrg(const TPoint& P);
  int32_t TextFlags() const { return FCanvas->TextFlags(); }
  void SetTextFlags(int32_t Value) { FCanvas->SetTextFlags(Value); }
  int32_t GetTextFlags() const { return TextFlags(); }
  void SetPixels(int32_t X, int32_t Y, TColor Value) { FCanvas->SetPixels(X, Y, Value); }
  void SetPixel(int32_t X, int32_t Y, TColor Value) { SetPixels(X, Y, Value); }
  void Refresh() { FCanvas->Refresh(); }
  void Lock() { FCanvas->Lock(); }
  void Unlock() { FCanvas->Unlock(); }

  // Drawing forwarders.
  void MoveTo(int32_t X, int32_t Y) { FCanvas->MoveTo(X, Y); }
  void LineTo(int32_t X, int32_t Y) { FCanvas->LineTo(X, Y); }
  void Line(const TPoint& P1, const TPoint& P2) { Line(P1.X, P1.Y, P2.X, P2.Y); }
  void Line(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2);
  void Polygon(const std::vector<TPoint>& Points) { FCanvas->Polygon(Points); }
  void Polyline(const std::vector<TPoint>& Points) { FCanvas->Polyline(Points); }
  void PolyBezier(const std::vector<TPoint>& Points);
  void PolyBezierTo(const std::vector<TPoint>& Points);
  void Rectangle(const TRect& R) { FCanvas->Rectangle(R); }
  void Rectangle(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) { FCanvas->Rectangle(X1, Y1, X2, Y2); }
  void RoundRect(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3) {
    FCanvas->RoundRect(X1, Y1, X2, Y2, X3, Y3);
  }
  void RoundRect(const TRect& R, int32_t CX, int32_t CY) {
    RoundRect(R.Left, R.Top, R.Right, R.Bottom, CX, CY);
  }
  void Ellipse(const TRect& R) { FCanvas->Ellipse(R); }
  void Ellipse(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) { FCanvas->Ellipse(X1, Y1, X2, Y2); }
  void Arc(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4);
  void ArcTo(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4);
  void AngleArc(int32_t X, int32_t Y, uint32_t Radius, float StartAngle, float SweepAngle);
  void Chord(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4);
  void Pie(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4);
  void Pie(const TRect& R, const TPoint& Radial1, const TPoint& Radial2);
  // Integer degrees, counter-clockwise from the right; a negative sweep runs clockwise.
  void Pie(const TRect& R, int32_t AStartAngle, int32_t ASweepAngle);
  void FloodFill(int32_t X, int32_t Y, TColor Color, TFillStyle FillStyle);
  void Draw(int32_t X, int32_t Y, TGraphic* Graphic) { FCanvas->Draw(X, Y, Graphic); }
  void Draw(int32_t X, int32_t Y, TGraphic* Graphic, uint8_t Opacity) {
    FCanvas->Draw(X, Y, Graphic, Opacity);
  }
  void StretchDraw(const TRect& R, TGraphic* Graphic) { FCanvas->StretchDraw(R, Graphic); }
  void CopyRect(const TRect& Dest, TCanvas* ACanvas, const TRect& Source) {
    FCanvas->CopyRect(Dest, ACanvas, Source);
  }
  void BrushCopy(const TRect& Dest, TBitmap* ABitmap, const TRect& Source, TColor AColor) {
    FCanvas->BrushCopy(Dest, ABitmap, Source, AColor);
  }
  void TextOut(int32_t X, int32_t Y, const String& Text) { FCanvas->TextOut(X, Y, Text); }
  void BeginPath();
  void EndPath();
  void WidenPath();
  void SetBrushColor(TColor Value);

  // Coordinates and right-to-left.
  virtual TPoint GetWindowOrg() const;
  virtual void SetWindowOrg(const TPoint& P);
  TPoint WindowOrg() const { return GetWindowOrg(); }
  // Viewport origin minus window origin: the offset from logical to device coordinates.
  virtual TPoint GetDCOrigin() const;
  TPoint DCOrigin() const { return GetDCOrigin(); }
  virtual bool GetUseRightToLeftAlignment() const;
  virtual void SetUseRightToLeftAlignment(bool Value);
  bool UseRightToLeftAlignment() const { return GetUseRightToLeftAlignment(); }

  // Fills, frames and edges.
  void FillRect(const TRect& R, TColor AColor);
  // R tiled with the bitmap on a grid anchored at logical (0, 0), or filled with the current
  // brush without one; AExcludeRect then removes R from the clip region.
  void FillRect(const TRect& R, TBitmap* ABitmap = nullptr, bool AExcludeRect = false);
  void FillRect(const TRect& R, const TcxViewParams& AParams, bool AExcludeRect = false);
  void FrameRect(const TRect& R, TColor AColor = clDefault, int32_t ALineWidth = 1,
                 const TcxBorders& ABorders = cxBordersAll, bool AExcludeFrame = false);
  void ExcludeFrameRect(const TRect& R, int32_t ALineWidth = 1, const TcxBorders& ABorders = cxBordersAll);
  void DrawComplexFrame(const TRect& R, TColor ALeftTopColor, TColor ARightBottomColor,
                        const TcxBorders& ABorders = cxBordersAll, int32_t ABorderWidth = 1);
  void DrawEdge(const TRect& R, bool ASunken, bool AOuter, const TcxBorders& ABorders = cxBordersAll);
  void Rectangle(TRect R, const TcxViewParams& AParams, const TcxBorders& ABorders, TColor ABorderColor,
                 int32_t ALineWidth = 1, bool AExcludeRect = false);
  void InvertRect(const TRect& R);
  void InvertFrame(const TRect& R, int32_t ABorderSize);
  void DrawFocusRect(const TRect& R);
  void DrawFocusRectEx(const TRect& R, const TcxBorders& ABorders, bool AExclude = false);
  void DrawDesignSelection(const TRect& R, int32_t AWidth);
  void FillRegion(TcxRegion* ARegion, TColor AColor = clDefault);
  void FillRegion(HRGN ARegion, TColor AColor = clDefault);
  void FrameRegion(TcxRegion* ARegion, TColor AColor = clDefault, int32_t ABorderWidth = 1,
                   int32_t ABorderHeight = 1);
  void FrameRegion(HRGN ARegion, TColor AColor = clDefault, int32_t ABorderWidth = 1,
                   int32_t ABorderHeight = 1);
  void DrawRegion(TcxRegion* ARegion, TColor AContentColor = clDefault, TColor ABorderColor = clDefault,
                  int32_t ABorderWidth = 1, int32_t ABorderHeight = 1);
  void DrawRegion(HRGN ARegion, TColor AContentColor = clDefault, TColor ABorderColor = clDefault,
                  int32_t ABorderWidth = 1, int32_t ABorderHeight = 1);

  // Clipping (regions in logical coordinates when the origin is considered).
  void ExcludeClipRect(const TRect& R);
  void IntersectClipRect(const TRect& R);
  // A new region owned by the caller: the clip region, or (0, 0, 30000, 30000) without one.
  TcxRegion* GetClipRegion(bool AConsiderOrigin = true);
  // Takes ARegion (frees it when ADestroyRegion).
  void SetClipRegion(TcxRegion* ARegion, TcxRegionOperation AOperation, bool AConsiderOrigin = true,
                     bool ADestroyRegion = true);
  void SaveClipRegion();
  void RestoreClipRegion();
  bool RectVisible(const TRect& R);
  bool RectFullyVisible(const TRect& R);
  TcxRegion* PathToRegion(bool AConsiderOrigin = true);

  // Saved states. SaveDC holds the wrapped canvas's lock until its RestoreDC.
  void SaveDC();
  void RestoreDC();
  void SaveState();
  void RestoreState();
  void GetParams(TcxViewParams& AParams) const;
  void SetParams(const TcxViewParams& AParams);
  void SetFontAngle(int32_t Value);
  int32_t FontHeight(TFont* AFont);
  void SynchronizeObjects(HDC ADC);

  // Text.
  TSize TextExtent(const String& Text);
  int32_t TextWidth(const String& Text) { return TextExtent(Text).cx; }
  int32_t TextHeight(const String& Text) { return TextExtent(Text).cy; }

  // Measures in R's width and places the result by the alignment within R's old size.
  void TextExtent(const String& Text, TRect& R, int32_t Flags);
  void DrawTexT(const String& Text, const TRect& R, int32_t Flags, bool Enabled = true);
  void DrawTexT(const String& Text, const TRect& R, int32_t Flags, bool Enabled,
                TcxRotationAngle ARotationAngle);
  void DrawTexT(const String& Text, const TRect& R, TAlignment AAlignmentHorz,
                TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis);
  void AlignMultiLineTextRectVertically(TRect& R, const String& Text, bool AEndEllipsis, bool ANoCharBreak,
                                        bool AEnabled, bool AShowPrefix, bool AWordBreak,
                                        TcxAlignmentVert AAlignmentVert);
  // The rectangle of every line that DrawTexT would produce.
  void GetTextStringsBounds(String Text, TRect R, std::vector<TRect>& ABounds, bool Enabled, int32_t Flags);

  // Bitmaps and images.
  void DrawGlyph(int32_t X, int32_t Y, TBitmap* AGlyph, bool AEnabled = true,
                 TColor ABackgroundColor = clNone);
  void DrawImage(TCustomImageList* Images, int32_t X, int32_t Y, int32_t Index, bool Enabled = true);
  void TransparentDraw(int32_t X, int32_t Y, TBitmap* ABitmap, uint8_t AAlpha,
                       TGraphic* ABackground = nullptr);
  void RotateBitmap(TBitmap* ABitmap, TcxRotationAngle ARotationAngle, bool AFlipVertically = false);
  void FlipHorizontally(TBitmap* ABitmap);

 protected:
  // The binary raster code of each TPenMode.
  static constexpr int PenModes[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                     R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                     R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                     R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};

  void DrawTextOnce(const String& Text, const TRect& R, UINT ADTFlags, bool ASystemPath, UINT AOptions,
                    TcxRotationAngle ARotationAngle);

  std::vector<TcxDCState> FSavedDCs;
  std::vector<TcxRegion*> FSavedRegions;
  std::vector<TcxCanvasState> FSavedStates;
  TCanvas* FCanvas = nullptr;
  TdxDefaultBoolean FUseRightToLeftAlignment = bDefault;
};

// A control's canvas, whose window origin is relative to the one at the start of painting.
class TcxControlCanvas : public TcxCanvas {
  QD_CLASS(TcxControlCanvas, TcxCanvas)

 public:
  using TcxCanvas::TcxCanvas;

  void BeginPaint();
  void EndPaint();
  TPoint GetDCOrigin() const override;
  TPoint GetWindowOrg() const override;
  void SetWindowOrg(const TPoint& P) override;

 protected:
  TPoint FBrushOrigin;
  TPoint FOrigin;
};

// The library's canvas on the screen's device context (a cached DC of the desktop window).
class TScreenCanvas : public TCanvas {
  QD_CLASS(TScreenCanvas, TCanvas)

 public:
  TScreenCanvas() = default;
  ~TScreenCanvas() override;
  // Releases the device context; the next use gets a new one.
  void FreeHandle();

 protected:
  void CreateHandle() override;

 private:
  HDC FDeviceContext = nullptr;
  HWND FWindowHandle = nullptr;
};

// A measuring canvas on the screen; owns its TScreenCanvas.
class TcxScreenCanvas : public TcxCanvas {
  QD_CLASS(TcxScreenCanvas, TcxCanvas)

 public:
  TcxScreenCanvas();
  ~TcxScreenCanvas() override;
  // Releases the screen device context.
  void Dormant();
};

// One shared object re-targeted to nested paint targets.
class TcxPaintCanvas : public TcxCanvas {
  QD_CLASS(TcxPaintCanvas, TcxCanvas)

 public:
  TcxPaintCanvas() : TcxCanvas(nullptr) {}
  ~TcxPaintCanvas() override;

  // Saves ADC, binds a new platform canvas with ADC's font, brush and pen to it and saves
  // the canvas state.
  void BeginPaint(HDC ADC);
  void BeginPaint(TCanvas* ACanvas);
  // Undoes the innermost BeginPaint; nothing without one.
  void EndPaint();
  void SetCanvas(TCanvas* Value) override { FCanvas = Value; }
  int32_t Counter() const { return FCounter; }

 protected:
  struct TcxPaintCanvasState {
    TCanvas* PrevCanvas = nullptr;
    int32_t SaveDCIndex = 0;
  };
  int32_t FCounter = 0;
  std::vector<TcxPaintCanvasState> FSavedStates;
};

// The shared canvases, created on first use; nullptr once the unit's shut-down has begun.
TcxScreenCanvas* cxScreenCanvas();
TcxPaintCanvas* cxPaintCanvas();

// The canvas-and-bitmap unit's start-up and shut-down: start-up binds msimg32's AlphaBlend
// and GradientFill by name and makes the unit's resources (cxGraphicsResources.h);
// shut-down frees them, the shared canvases and the image work bitmaps, after which no
// shared canvas is made again until the next start-up.
namespace cxGraphics {
void Initialize();
void Finalize();
// msimg32's entry points, or nullptr while unbound (the software paths are used then).
using TAlphaBlendProc = BOOL (*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
using TGradientFillProc = BOOL (*)(HDC, TRIVERTEX*, ULONG, void*, ULONG, ULONG);
extern TAlphaBlendProc VCLAlphaBlend;
extern TGradientFillProc GradientFill;
}  // namespace cxGraphics

}  // namespace qd
