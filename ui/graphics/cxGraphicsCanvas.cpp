#include "ui/graphics/cxGraphicsCanvas.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "platform/base/mathutil.h"
#include "platform/os/kernel.h"
#include "platform/os/user.h"
#include "ui/core/cxGeometry.h"
#include "ui/graphics/cxGraphicsImages.h"
#include "ui/graphics/cxGraphicsResources.h"
#include "ui/graphics/dxCoreGraphics.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxCanvas)
QD_IMPLEMENT_CLASS(TcxControlCanvas)
QD_IMPLEMENT_CLASS(TScreenCanvas)
QD_IMPLEMENT_CLASS(TcxScreenCanvas)
QD_IMPLEMENT_CLASS(TcxPaintCanvas)

namespace {

// Floor division: tile grids anchored at 0 reach negative coordinates too.
int64_t CanvasFloorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The side bands of a frame in the order left, right, top, bottom.
struct TcxFrameBand {
  TcxBorder Side;
  TRect Rect;
};
std::array<TcxFrameBand, 4> CanvasFrameBands(const TRect& R, int32_t W) {
  return {{{bLeft, {R.Left, R.Top, std::min(R.Left + W, R.Right), R.Bottom}},
           {bRight, {std::max(R.Right - W, R.Left), R.Top, R.Right, R.Bottom}},
           {bTop, {R.Left, R.Top, R.Right, std::min(R.Top + W, R.Bottom)}},
           {bBottom, {R.Left, std::max(R.Bottom - W, R.Top), R.Right, R.Bottom}}}};
}

bool cxGraphicsUnitIsFinalized = false;
TcxScreenCanvas* cxGraphicsScreenCanvas = nullptr;
TcxPaintCanvas* cxGraphicsPaintCanvas = nullptr;
HMODULE cxGraphicsMsimg32 = nullptr;

}  // namespace

UINT cxFlagsToDTFlags(int32_t Flags) {
  UINT r = DT_NOPREFIX;
  if (Flags & cxAlignRight) r |= DT_RIGHT;
  if (Flags & cxAlignHCenter) r |= DT_CENTER;
  if (Flags & cxAlignBottom) r |= DT_BOTTOM;
  if (Flags & cxAlignVCenter) r |= DT_VCENTER;
  if (Flags & cxSingleLine) r |= DT_SINGLELINE;
  if (Flags & cxDontClip) r |= DT_NOCLIP;
  if (Flags & cxExpandTabs) r |= DT_EXPANDTABS;
  if (Flags & cxShowPrefix) r &= ~DT_NOPREFIX;
  if (Flags & cxWordBreak) {
    r |= DT_WORDBREAK;
    if (!(Flags & cxDontBreakChars))
      r |= DT_EDITCONTROL;
    else if (Flags & cxNoFullWidthCharBreak)
      r |= DT_NOFULLWIDTHCHARBREAK;
  }
  if (Flags & cxShowEndEllipsis) r |= DT_END_ELLIPSIS;
  if (Flags & cxCalcRect) r |= DT_CALCRECT;
  if (Flags & cxShowPathEllipsis) r |= DT_PATH_ELLIPSIS;
  if (Flags & cxRtlReading) r |= DT_RTLREADING;
  return r;
}

// --- TcxCanvas -----------------------------------------------------------------------------

TcxCanvas::TcxCanvas(TCanvas* ACanvas) : FCanvas(ACanvas) {}

TcxCanvas::~TcxCanvas() {
  // A clip region saved and never restored belongs to the canvas alone.
  for (TcxRegion* region : FSavedRegions) delete region;
  FCanvas = nullptr;
}

void TcxCanvas::SetCanvas(TCanvas* Value) {
  FCanvas = Value;
}

int32_t TcxCanvas::DpiX() const {
  return GetDeviceCaps(Handle(), LOGPIXELSX);
}

int32_t TcxCanvas::DpiY() const {
  return GetDeviceCaps(Handle(), LOGPIXELSY);
}

TPoint TcxCanvas::ViewportOrg() const {
  POINT p{};
  GetViewportOrgEx(Handle(), &p);
  return p;
}

void TcxCanvas::SetViewportOrg(const TPoint& P) {
  SetViewportOrgEx(Handle(), P.X, P.Y, nullptr);
}

void TcxCanvas::Line(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
  MoveTo(X1, Y1);
  LineTo(X2, Y2);
}

void TcxCanvas::PolyBezier(const std::vector<TPoint>& Points) {
  ::qd::PolyBezier(Handle(), Points.data(), static_cast<DWORD>(Points.size()));
}

void TcxCanvas::PolyBezierTo(const std::vector<TPoint>& Points) {
  ::qd::PolyBezierTo(Handle(), Points.data(), static_cast<DWORD>(Points.size()));
}

void TcxCanvas::Arc(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4,
                    int32_t Y4) {
  ::qd::Arc(Handle(), X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TcxCanvas::ArcTo(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4,
                      int32_t Y4) {
  ::qd::ArcTo(Handle(), X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TcxCanvas::AngleArc(int32_t X, int32_t Y, uint32_t Radius, float StartAngle, float SweepAngle) {
  ::qd::AngleArc(Handle(), X, Y, Radius, StartAngle, SweepAngle);
}

void TcxCanvas::Chord(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4,
                      int32_t Y4) {
  ::qd::Chord(Handle(), X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TcxCanvas::Pie(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4,
                    int32_t Y4) {
  ::qd::Pie(Handle(), X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TcxCanvas::Pie(const TRect& R, const TPoint& Radial1, const TPoint& Radial2) {
  Pie(R.Left, R.Top, R.Right, R.Bottom, Radial1.X, Radial1.Y, Radial2.X, Radial2.Y);
}

void TcxCanvas::Pie(const TRect& R, int32_t AStartAngle, int32_t ASweepAngle) {
  if (R.IsEmpty() || ASweepAngle == 0) return;
  const int32_t a = R.Width() / 2, b = R.Height() / 2;
  const TPoint c{R.Left + a, R.Top + b};
  auto radial = [&](int64_t ADegrees) {
    const double t = static_cast<double>(ADegrees) * std::numbers::pi / 180;
    const double sn = std::sin(t), cs = std::cos(t);
    const double r =
        (a == 0 || b == 0) ? 0 : double(a) * b / std::sqrt(double(a) * a * sn * sn + double(b) * b * cs * cs);
    return TPoint{c.X + static_cast<int32_t>(std::nearbyint(r * cs)),
                  c.Y - static_cast<int32_t>(std::nearbyint(r * sn))};
  };
  TPoint p1 = radial(AStartAngle);
  TPoint p2 = ASweepAngle == 360 ? p1 : radial(static_cast<int64_t>(AStartAngle) + ASweepAngle);
  // System pies run counter-clockwise from the first radial to the second: a clockwise
  // sweep is the same pie seen from its end.
  if (ASweepAngle < 0) std::swap(p1, p2);
  if (p1 != p2 || std::abs(static_cast<int64_t>(ASweepAngle)) > 180) Pie(R, p1, p2);
}

void TcxCanvas::FloodFill(int32_t X, int32_t Y, TColor Color, TFillStyle FillStyle) {
  ExtFloodFill(Handle(), X, Y, ColorToRGB(Color),
               FillStyle == fsSurface ? FLOODFILLSURFACE : FLOODFILLBORDER);
}

void TcxCanvas::BeginPath() {
  ::qd::BeginPath(Handle());
}

void TcxCanvas::EndPath() {
  ::qd::EndPath(Handle());
}

void TcxCanvas::WidenPath() {
  ::qd::WidenPath(Handle());
}

void TcxCanvas::SetBrushColor(TColor Value) {
  if (Brush()->Color() != Value || Brush()->Style() == bsClear) Brush()->SetColor(Value);
}

// --- Coordinates ---------------------------------------------------------------------------

TPoint TcxCanvas::GetWindowOrg() const {
  POINT p{};
  GetWindowOrgEx(Handle(), &p);
  return p;
}

void TcxCanvas::SetWindowOrg(const TPoint& P) {
  SetWindowOrgEx(Handle(), P.X, P.Y, nullptr);
}

TPoint TcxCanvas::GetDCOrigin() const {
  POINT w{}, v{};
  GetWindowOrgEx(Handle(), &w);
  GetViewportOrgEx(Handle(), &v);
  return {v.X - w.X, v.Y - w.Y};
}

bool TcxCanvas::GetUseRightToLeftAlignment() const {
  if (FUseRightToLeftAlignment != bDefault) return FUseRightToLeftAlignment == bTrue;
  auto* controlCanvas = dynamic_cast<TControlCanvas*>(FCanvas);
  return controlCanvas && controlCanvas->Control() && controlCanvas->Control()->UseRightToLeftAlignment();
}

void TcxCanvas::SetUseRightToLeftAlignment(bool Value) {
  FUseRightToLeftAlignment = Value ? bTrue : bFalse;
}

// --- Fills, frames and edges ------------------------------------------------------------------

void TcxCanvas::FillRect(const TRect& R, TColor AColor) {
  if (AColor == clNone) return;
  if (AColor != clDefault) SetBrushColor(AColor);
  FCanvas->FillRect(R);
}

void TcxCanvas::FillRect(const TRect& R, TBitmap* ABitmap, bool AExcludeRect) {
  if (R.IsEmpty()) return;
  if (ABitmap && !ABitmap->Empty()) {
    const int64_t w = ABitmap->Width(), h = ABitmap->Height();
    HDC src = ABitmap->Canvas()->Handle();
    HDC dest = Handle();
    const int64_t firstCol = CanvasFloorDiv(R.Left, w), lastCol = CanvasFloorDiv(int64_t(R.Right) - 1, w);
    const int64_t firstRow = CanvasFloorDiv(R.Top, h), lastRow = CanvasFloorDiv(int64_t(R.Bottom) - 1, h);
    for (int64_t row = firstRow; row <= lastRow; ++row)
      for (int64_t col = firstCol; col <= lastCol; ++col) {
        const int64_t cl = col * w, ct = row * h;
        const int32_t l = static_cast<int32_t>(std::max<int64_t>(cl, R.Left));
        const int32_t t = static_cast<int32_t>(std::max<int64_t>(ct, R.Top));
        const int32_t r = static_cast<int32_t>(std::min<int64_t>(cl + w, R.Right));
        const int32_t b = static_cast<int32_t>(std::min<int64_t>(ct + h, R.Bottom));
        BitBlt(dest, l, t, r - l, b - t, src, static_cast<int>(l - cl), static_cast<int>(t - ct), SRCCOPY);
      }
  } else {
    FCanvas->FillRect(R);
  }
  if (AExcludeRect) SetClipRegion(new TcxRegion(R), roSubtract);
}

void TcxCanvas::FillRect(const TRect& R, const TcxViewParams& AParams, bool AExcludeRect) {
  // clNone draws nothing (unless a bitmap tiles the area); clDefault keeps the brush.
  if (AParams.Color == clNone && (!AParams.Bitmap || AParams.Bitmap->Empty())) {
    if (AExcludeRect && !R.IsEmpty()) SetClipRegion(new TcxRegion(R), roSubtract);
    return;
  }
  if (AParams.Color != clDefault && AParams.Color != clNone) SetBrushColor(AParams.Color);
  FillRect(R, AParams.Bitmap, AExcludeRect);
}

void TcxCanvas::FrameRect(const TRect& R, TColor AColor, int32_t ALineWidth, const TcxBorders& ABorders,
                          bool AExcludeFrame) {
  if (R.IsEmpty() || AColor == clNone) return;
  if (AColor != clDefault) SetBrushColor(AColor);
  for (const TcxFrameBand& band : CanvasFrameBands(R, ALineWidth))
    if (ABorders.Contains(band.Side)) FillRect(band.Rect, nullptr, AExcludeFrame);
}

void TcxCanvas::ExcludeFrameRect(const TRect& R, int32_t ALineWidth, const TcxBorders& ABorders) {
  for (const TcxFrameBand& band : CanvasFrameBands(R, ALineWidth))
    if (ABorders.Contains(band.Side)) SetClipRegion(new TcxRegion(band.Rect), roSubtract);
}

void TcxCanvas::DrawComplexFrame(const TRect& R, TColor ALeftTopColor, TColor ARightBottomColor,
                                 const TcxBorders& ABorders, int32_t ABorderWidth) {
  const int32_t w = ABorderWidth;
  if (ABorders.Contains(bLeft)) FillRect(TRect{R.Left, R.Top, R.Left + w, R.Bottom}, ALeftTopColor);
  if (ABorders.Contains(bTop)) FillRect(TRect{R.Left, R.Top, R.Right, R.Top + w}, ALeftTopColor);
  if (ABorders.Contains(bRight)) FillRect(TRect{R.Right - w, R.Top, R.Right, R.Bottom}, ARightBottomColor);
  if (ABorders.Contains(bBottom)) FillRect(TRect{R.Left, R.Bottom - w, R.Right, R.Bottom}, ARightBottomColor);
}

void TcxCanvas::DrawEdge(const TRect& R, bool ASunken, bool AOuter, const TcxBorders& ABorders) {
  static constexpr TColor colours[2][2][2] = {// raised: inner, outer
                                              {{clBtnHighlight, clBtnShadow}, {cl3DLight, cl3DDkShadow}},
                                              // sunken: inner, outer
                                              {{cl3DDkShadow, cl3DLight}, {clBtnShadow, clBtnHighlight}}};
  const TColor* c = colours[ASunken][AOuter];
  DrawComplexFrame(R, c[0], c[1], ABorders, 1);
}

void TcxCanvas::Rectangle(TRect R, const TcxViewParams& AParams, const TcxBorders& ABorders,
                          TColor ABorderColor, int32_t ALineWidth, bool AExcludeRect) {
  if (!ABorders.Empty()) {
    FrameRect(R, ABorderColor, ALineWidth, ABorders, AExcludeRect);
    if (ABorders.Contains(bLeft)) R.Left += ALineWidth;
    if (ABorders.Contains(bTop)) R.Top += ALineWidth;
    if (ABorders.Contains(bRight)) R.Right -= ALineWidth;
    if (ABorders.Contains(bBottom)) R.Bottom -= ALineWidth;
  }
  FillRect(R, AParams, AExcludeRect);
}

void TcxCanvas::InvertRect(const TRect& R) {
  SetCopyMode(cmDstInvert);
  FCanvas->CopyRect(R, FCanvas, R);
  SetCopyMode(cmSrcCopy);
}

void TcxCanvas::InvertFrame(const TRect& R, int32_t ABorderSize) {
  const int32_t s = ABorderSize;
  InvertRect(TRect{R.Left, R.Top, R.Left + s, R.Bottom});
  InvertRect(TRect{R.Right - s, R.Top, R.Right, R.Bottom});
  InvertRect(TRect{R.Left + s, R.Top, R.Right - s, R.Top + s});
  InvertRect(TRect{R.Left + s, R.Bottom - s, R.Right - s, R.Bottom});
}

void TcxCanvas::DrawFocusRect(const TRect& R) {
  SetBrushColor(clWhite);
  Font()->SetColor(clBlack);
  Handle();  // selects the font, so the pattern takes its colour
  FCanvas->DrawFocusRect(R);
}

void TcxCanvas::DrawFocusRectEx(const TRect& R, const TcxBorders& ABorders, bool AExclude) {
  if (ABorders.Empty()) return;
  SaveClipRegion();
  ExcludeFrameRect(R, 1, cxBordersAll - ABorders);
  DrawFocusRect(R);
  RestoreClipRegion();
  if (AExclude) ExcludeFrameRect(R, 1, ABorders);
}

void TcxCanvas::DrawDesignSelection(const TRect& R, int32_t AWidth) {
  for (int32_t i = 0; i < AWidth; ++i) DrawFocusRect(RectInflate(R, -i, -i, -i, -i));
}

void TcxCanvas::FillRegion(TcxRegion* ARegion, TColor AColor) {
  if (ARegion) FillRegion(ARegion->Handle(), AColor);
}

void TcxCanvas::FillRegion(HRGN ARegion, TColor AColor) {
  if (AColor == clNone) return;
  if (AColor != clDefault) SetBrushColor(AColor);
  FillRgn(Handle(), ARegion, Brush()->Handle());
}

void TcxCanvas::FrameRegion(TcxRegion* ARegion, TColor AColor, int32_t ABorderWidth, int32_t ABorderHeight) {
  if (ARegion) FrameRegion(ARegion->Handle(), AColor, ABorderWidth, ABorderHeight);
}

void TcxCanvas::FrameRegion(HRGN ARegion, TColor AColor, int32_t ABorderWidth, int32_t ABorderHeight) {
  if (AColor == clNone) return;
  if (AColor != clDefault) SetBrushColor(AColor);
  FrameRgn(Handle(), ARegion, Brush()->Handle(), ABorderWidth, ABorderHeight);
}

void TcxCanvas::DrawRegion(TcxRegion* ARegion, TColor AContentColor, TColor ABorderColor,
                           int32_t ABorderWidth, int32_t ABorderHeight) {
  if (ARegion) DrawRegion(ARegion->Handle(), AContentColor, ABorderColor, ABorderWidth, ABorderHeight);
}

void TcxCanvas::DrawRegion(HRGN ARegion, TColor AContentColor, TColor ABorderColor, int32_t ABorderWidth,
                           int32_t ABorderHeight) {
  FillRegion(ARegion, AContentColor);
  FrameRegion(ARegion, ABorderColor, ABorderWidth, ABorderHeight);
}

// --- Clipping ------------------------------------------------------------------------------

void TcxCanvas::ExcludeClipRect(const TRect& R) {
  ::qd::ExcludeClipRect(Handle(), R.Left, R.Top, R.Right, R.Bottom);
}

void TcxCanvas::IntersectClipRect(const TRect& R) {
  ::qd::IntersectClipRect(Handle(), R.Left, R.Top, R.Right, R.Bottom);
}

TcxRegion* TcxCanvas::GetClipRegion(bool AConsiderOrigin) {
  auto* result = new TcxRegion();
  if (GetClipRgn(Handle(), result->Handle()) != 1) result->Combine(TRect{0, 0, 30000, 30000}, roSet);
  if (AConsiderOrigin) {
    const TPoint o = GetDCOrigin();
    result->Offset(-o.X, -o.Y);
  }
  return result;
}

void TcxCanvas::SetClipRegion(TcxRegion* ARegion, TcxRegionOperation AOperation, bool AConsiderOrigin,
                              bool ADestroyRegion) {
  if (AOperation == roSet) {
    const TPoint o = AConsiderOrigin ? GetDCOrigin() : TPoint{};
    ARegion->Offset(o);
    SelectClipRgn(Handle(), ARegion->Handle());
    if (ADestroyRegion)
      delete ARegion;
    else
      ARegion->Offset(-o.X, -o.Y);
  } else {
    TcxRegion* clip = GetClipRegion(AConsiderOrigin);
    clip->Combine(ARegion, AOperation, ADestroyRegion);
    SetClipRegion(clip, roSet, AConsiderOrigin, true);
  }
}

void TcxCanvas::SaveClipRegion() {
  FSavedRegions.push_back(GetClipRegion(true));
}

void TcxCanvas::RestoreClipRegion() {
  if (FSavedRegions.empty()) return;
  TcxRegion* region = FSavedRegions.back();
  FSavedRegions.pop_back();
  SetClipRegion(region, roSet, true, true);
}

bool TcxCanvas::RectVisible(const TRect& R) {
  return ::qd::RectVisible(Handle(), &R) != FALSE;
}

bool TcxCanvas::RectFullyVisible(const TRect& R) {
  std::unique_ptr<TcxRegion> clip(GetClipRegion(true));
  clip->Combine(R, roIntersect);
  TcxRegion whole(R);
  return clip->IsEqual(&whole) && PtVisible(Handle(), R.Left, R.Top) &&
         PtVisible(Handle(), R.Right, R.Bottom);
}

TcxRegion* TcxCanvas::PathToRegion(bool AConsiderOrigin) {
  auto* result = new TcxRegion(::qd::PathToRegion(Handle()));
  if (!result->Handle()) result->SetHandle(CreateRectRgn(0, 0, 0, 0));
  if (AConsiderOrigin) {
    const TPoint o = GetDCOrigin();
    result->Offset(-o.X, -o.Y);
  }
  return result;
}

// --- Saved states ----------------------------------------------------------------------------

void TcxCanvas::SaveDC() {
  FCanvas->Lock();
  HDC dc = Handle();
  FSavedDCs.push_back({dc, ::qd::SaveDC(dc)});
}

void TcxCanvas::RestoreDC() {
  if (FSavedDCs.empty()) return;
  const TcxDCState state = FSavedDCs.back();
  FCanvas->SetHandle(state.Handle);
  ::qd::RestoreDC(state.Handle, state.State);
  FSavedDCs.pop_back();
  FCanvas->Unlock();
}

void TcxCanvas::SaveState() {
  SaveDC();
  TcxCanvasState state;
  state.Font = std::make_unique<TFont>();
  state.Font->Assign(Font());
  state.Brush = std::make_unique<TBrush>();
  state.Brush->Assign(Brush());
  state.Pen = std::make_unique<TPen>();
  state.Pen->Assign(Pen());
  state.RightToLeftAlignment = FUseRightToLeftAlignment;
  state.TextFlags = TextFlags();
  FSavedStates.push_back(std::move(state));
}

void TcxCanvas::RestoreState() {
  if (FSavedStates.empty()) return;
  TcxCanvasState& state = FSavedStates.back();
  SetTextFlags(state.TextFlags);
  FUseRightToLeftAlignment = state.RightToLeftAlignment;
  Font()->Assign(state.Font.get());
  Brush()->Assign(state.Brush.get());
  Pen()->Assign(state.Pen.get());
  FSavedStates.pop_back();
  RestoreDC();
}

void TcxCanvas::GetParams(TcxViewParams& AParams) const {
  AParams.Color = Brush()->Color();
  AParams.Font = Font();
  AParams.TextColor = Font()->Color();
}

void TcxCanvas::SetParams(const TcxViewParams& AParams) {
  SetBrushColor(AParams.Color);
  if (AParams.Font) Font()->Assign(AParams.Font);
  Font()->SetColor(AParams.TextColor);
}

void TcxCanvas::SetFontAngle(int32_t Value) {
  LOGFONTW lf{};
  if (GetObjectW(Font()->Handle(), sizeof(lf), &lf) == 0) lf = Font()->LogFont();
  lf.lfEscapement = Value * 10;
  if (Value != 0) lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  Font()->SetHandle(CreateFontIndirectW(&lf));
}

int32_t TcxCanvas::FontHeight(TFont* AFont) {
  Font()->Assign(AFont);
  TEXTMETRICW tm{};
  GetTextMetricsW(Handle(), &tm);
  return tm.tmHeight;
}

void TcxCanvas::SynchronizeObjects(HDC ADC) {
  LOGFONTW lf{};
  if (GetObjectW(GetCurrentObject(ADC, OBJ_FONT), sizeof(lf), &lf) != 0)
    Font()->SetHandle(CreateFontIndirectW(&lf));
  Font()->SetColor(static_cast<TColor>(GetTextColor(ADC)));

  LOGBRUSH lb{};
  if (GetObjectW(GetCurrentObject(ADC, OBJ_BRUSH), sizeof(lb), &lb) != 0) {
    Brush()->SetColor(static_cast<TColor>(lb.lbColor));
    TBrushStyle style = bsSolid;
    if (lb.lbStyle == BS_NULL)
      style = bsClear;
    else if (lb.lbStyle == BS_HATCHED && lb.lbHatch <= HS_DIAGCROSS)
      style = static_cast<TBrushStyle>(bsHorizontal + lb.lbHatch);
    Brush()->SetStyle(style);
  }

  LOGPEN lp{};
  if (GetObjectW(GetCurrentObject(ADC, OBJ_PEN), sizeof(lp), &lp) != 0) {
    const UINT style = lp.lopnStyle & PS_STYLE_MASK;
    Pen()->SetStyle(style <= psAlternate ? static_cast<TPenStyle>(style) : psSolid);
    Pen()->SetColor(static_cast<TColor>(lp.lopnColor));
    Pen()->SetWidth(lp.lopnWidth.X);
  }
  const int rop2 = GetROP2(ADC);
  TPenMode mode = pmCopy;
  for (int i = 0; i < 16; ++i)
    if (PenModes[i] == rop2) {
      mode = static_cast<TPenMode>(i);
      break;
    }
  Pen()->SetMode(mode);
}

// --- Text measuring --------------------------------------------------------------------------

TSize TcxCanvas::TextExtent(const String& Text) {
  return FCanvas->TextExtent(Text);
}

// --- Bitmaps and images ----------------------------------------------------------------------

void TcxCanvas::DrawGlyph(int32_t X, int32_t Y, TBitmap* AGlyph, bool AEnabled, TColor ABackgroundColor) {
  if (!AGlyph || AGlyph->Empty()) return;
  const int32_t w = AGlyph->Width(), h = AGlyph->Height();
  if (AEnabled) {
    const TBrushStyle style = Brush()->Style();
    if (ABackgroundColor == clNone)
      Brush()->SetStyle(bsClear);
    else
      SetBrushColor(ABackgroundColor);
    BrushCopy(Bounds(X, Y, w, h), AGlyph, TRect{0, 0, w, h}, AGlyph->TransparentColor());
    Brush()->SetStyle(style);
    return;
  }
  TCustomImageList images(w, h);
  images.AddMasked(AGlyph, AGlyph->TransparentMode() == tmFixed ? AGlyph->TransparentColor() : clDefault);
  if (ABackgroundColor != clNone) {
    TBitmap back(w, h);
    back.Canvas()->Brush()->SetColor(ABackgroundColor);
    back.Canvas()->FillRect(TRect{0, 0, w, h});
    images.Draw(back.Canvas(), 0, 0, 0, false);
    Draw(X, Y, &back);
  } else {
    images.Draw(FCanvas, X, Y, 0, false);
  }
}

void TcxCanvas::DrawImage(TCustomImageList* Images, int32_t X, int32_t Y, int32_t Index, bool Enabled) {
  if (!Images || Index < 0 || Index >= Images->Count()) return;
  SaveDC();
  Images->Draw(FCanvas, X, Y, Index, Enabled);
  RestoreDC();
}

void TcxCanvas::TransparentDraw(int32_t X, int32_t Y, TBitmap* ABitmap, uint8_t AAlpha,
                                TGraphic* ABackground) {
  if (!ABitmap || ABitmap->Empty()) return;
  const int32_t w = ABitmap->Width(), h = ABitmap->Height();
  TBitmap work;
  work.SetPixelFormat(pf32bit);
  work.SetSize(w, h);
  if (ABackground)
    work.Canvas()->Draw(0, 0, ABackground);
  else
    BitBlt(work.Canvas()->Handle(), 0, 0, w, h, Handle(), X, Y, SRCCOPY);
  if (cxGraphics::VCLAlphaBlend) {
    BLENDFUNCTION bf;
    bf.BlendOp = AC_SRC_OVER;
    bf.BlendFlags = 0;
    bf.SourceConstantAlpha = AAlpha;
    bf.AlphaFormat = 0;
    cxGraphics::VCLAlphaBlend(work.Canvas()->Handle(), 0, 0, w, h, ABitmap->Canvas()->Handle(), 0, 0, w, h,
                              bf);
  } else {
    TRGBColors source, dest;
    if (dxCoreGraphics::GetBitmapBits(ABitmap, source, true) &&
        dxCoreGraphics::GetBitmapBits(&work, dest, true)) {
      for (size_t i = 0; i < dest.size(); ++i) {
        RGBQUAD& d = dest[i];
        const RGBQUAD& s = source[i];
        d.rgbBlue = static_cast<BYTE>(MulDiv(d.rgbBlue, 255 - AAlpha, 255) + MulDiv(s.rgbBlue, AAlpha, 255));
        d.rgbGreen =
            static_cast<BYTE>(MulDiv(d.rgbGreen, 255 - AAlpha, 255) + MulDiv(s.rgbGreen, AAlpha, 255));
        d.rgbRed = static_cast<BYTE>(MulDiv(d.rgbRed, 255 - AAlpha, 255) + MulDiv(s.rgbRed, AAlpha, 255));
      }
      dxCoreGraphics::SetBitmapBits(&work, dest, true);
    }
  }
  Draw(X, Y, &work);
}

void TcxCanvas::RotateBitmap(TBitmap* ABitmap, TcxRotationAngle ARotationAngle, bool AFlipVertically) {
  if (!ABitmap || ABitmap->Empty() || (ARotationAngle == ra0 && !AFlipVertically)) return;
  TRGBColors source;
  if (!dxCoreGraphics::GetBitmapBits(ABitmap, source, true)) return;
  const int32_t w = ABitmap->Width(), h = ABitmap->Height();
  const bool quarter = ARotationAngle == raPlus90 || ARotationAngle == raMinus90;
  const int32_t dw = quarter ? h : w;
  TRGBColors dest(source.size());
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      int32_t dx = x, dy = y;
      switch (ARotationAngle) {
        case ra0:
          dx = x, dy = h - 1 - y;  // only with the flip
          break;
        case raPlus90:
          dx = y, dy = AFlipVertically ? x : w - 1 - x;
          break;
        case raMinus90:
          dx = h - 1 - y, dy = AFlipVertically ? w - 1 - x : x;
          break;
        case ra180:
          dx = w - 1 - x, dy = AFlipVertically ? y : h - 1 - y;
          break;
      }
      dest[static_cast<size_t>(dy) * dw + dx] = source[static_cast<size_t>(y) * w + x];
    }
  if (quarter) {
    ABitmap->SetHeight(0);
    ABitmap->SetWidth(h);
    ABitmap->SetHeight(w);
  }
  dxCoreGraphics::SetBitmapBits(ABitmap, dest, true);
}

void TcxCanvas::FlipHorizontally(TBitmap* ABitmap) {
  if (!ABitmap || ABitmap->Empty()) return;
  TRGBColors colors;
  if (!dxCoreGraphics::GetBitmapBits(ABitmap, colors, true)) return;
  const size_t w = static_cast<size_t>(ABitmap->Width());
  for (size_t row = 0; row < colors.size(); row += w)
    std::reverse(colors.begin() + row, colors.begin() + row + w);
  dxCoreGraphics::SetBitmapBits(ABitmap, colors, true);
}

// --- TcxControlCanvas ----------------------------------------------------------------------

void TcxControlCanvas::BeginPaint() {
  POINT org{};
  GetWindowOrgEx(Handle(), &org);
  FOrigin = org;
  POINT old{};
  SetBrushOrgEx(Handle(), FOrigin.X, FOrigin.Y, &old);
  FBrushOrigin = old;
}

void TcxControlCanvas::EndPaint() {
  SetBrushOrgEx(Handle(), FBrushOrigin.X, FBrushOrigin.Y, nullptr);
  FOrigin = {};
  FBrushOrigin = {};
}

TPoint TcxControlCanvas::GetDCOrigin() const {
  return TcxCanvas::GetDCOrigin();
}

TPoint TcxControlCanvas::GetWindowOrg() const {
  const TPoint p = TcxCanvas::GetWindowOrg();
  return {p.X - FOrigin.X, p.Y - FOrigin.Y};
}

void TcxControlCanvas::SetWindowOrg(const TPoint& P) {
  TcxCanvas::SetWindowOrg(TPoint{FOrigin.X + P.X, FOrigin.Y + P.Y});
}

// --- TScreenCanvas, TcxScreenCanvas ------------------------------------------------------------

TScreenCanvas::~TScreenCanvas() {
  FreeHandle();
}

void TScreenCanvas::CreateHandle() {
  if (!FDeviceContext) {
    FWindowHandle = GetDesktopWindow();
    FDeviceContext = GetDCEx(FWindowHandle, nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
  }
  SetHandle(FDeviceContext);
}

void TScreenCanvas::FreeHandle() {
  if (!FDeviceContext) return;
  SetHandle(nullptr);
  ReleaseDC(FWindowHandle, FDeviceContext);
  FDeviceContext = nullptr;
}

TcxScreenCanvas::TcxScreenCanvas() : TcxCanvas(new TScreenCanvas()) {}

TcxScreenCanvas::~TcxScreenCanvas() {
  delete FCanvas;
}

void TcxScreenCanvas::Dormant() {
  static_cast<TScreenCanvas*>(FCanvas)->FreeHandle();
}

// --- TcxPaintCanvas --------------------------------------------------------------------------

TcxPaintCanvas::~TcxPaintCanvas() {
  while (FCounter > 0) EndPaint();
}

void TcxPaintCanvas::BeginPaint(HDC ADC) {
  if (static_cast<int32_t>(FSavedStates.size()) < FCounter + 1)
    FSavedStates.resize(std::max<size_t>(FCounter + 1, FSavedStates.size() + 4));
  TcxPaintCanvasState& state = FSavedStates[static_cast<size_t>(FCounter)];
  state.PrevCanvas = FCanvas;
  state.SaveDCIndex = ::qd::SaveDC(ADC);
  auto* canvas = new TCanvas();
  canvas->SetHandle(ADC);
  SetCanvas(canvas);
  SynchronizeObjects(ADC);
  SaveState();
  ++FCounter;
}

void TcxPaintCanvas::BeginPaint(TCanvas* ACanvas) {
  if (static_cast<int32_t>(FSavedStates.size()) < FCounter + 1)
    FSavedStates.resize(std::max<size_t>(FCounter + 1, FSavedStates.size() + 4));
  TcxPaintCanvasState& state = FSavedStates[static_cast<size_t>(FCounter)];
  state.PrevCanvas = FCanvas;
  state.SaveDCIndex = 0;
  SetCanvas(ACanvas);
  SaveState();
  ++FCounter;
}

void TcxPaintCanvas::EndPaint() {
  if (FCounter == 0) return;
  --FCounter;
  RestoreState();
  const TcxPaintCanvasState state = FSavedStates[static_cast<size_t>(FCounter)];
  if (state.SaveDCIndex != 0) {
    HDC dc = FCanvas->HandleAllocated() ? FCanvas->Handle() : nullptr;
    delete FCanvas;
    if (dc) ::qd::RestoreDC(dc, state.SaveDCIndex);
  }
  SetCanvas(state.PrevCanvas);
}

// --- Shared canvases and the unit's start-up -------------------------------------------------------

TcxScreenCanvas* cxScreenCanvas() {
  if (!cxGraphicsScreenCanvas && !cxGraphicsUnitIsFinalized) cxGraphicsScreenCanvas = new TcxScreenCanvas();
  return cxGraphicsScreenCanvas;
}

TcxPaintCanvas* cxPaintCanvas() {
  if (!cxGraphicsPaintCanvas && !cxGraphicsUnitIsFinalized) cxGraphicsPaintCanvas = new TcxPaintCanvas();
  return cxGraphicsPaintCanvas;
}

namespace cxGraphics {

TAlphaBlendProc VCLAlphaBlend = nullptr;
TGradientFillProc GradientFill = nullptr;

void Initialize() {
  cxGraphicsUnitIsFinalized = false;
  cxGraphicsMsimg32 = LoadLibraryW(u"msimg32.dll");
  if (cxGraphicsMsimg32) {
    VCLAlphaBlend = reinterpret_cast<TAlphaBlendProc>(GetProcAddress(cxGraphicsMsimg32, "AlphaBlend"));
    GradientFill = reinterpret_cast<TGradientFillProc>(GetProcAddress(cxGraphicsMsimg32, "GradientFill"));
  }
  cxGraphicsResources::Initialize();
}

void Finalize() {
  cxGraphicsUnitIsFinalized = true;
  cxGraphicsResources::Finalize();
  delete cxGraphicsScreenCanvas;
  cxGraphicsScreenCanvas = nullptr;
  delete cxGraphicsPaintCanvas;
  cxGraphicsPaintCanvas = nullptr;
  cxFreeImageWorkBitmaps();
  VCLAlphaBlend = nullptr;
  GradientFill = nullptr;
  if (cxGraphicsMsimg32) {
    FreeLibrary(cxGraphicsMsimg32);
    cxGraphicsMsimg32 = nullptr;
  }
}

}  // namespace cxGraphics

}  // namespace qd
