// The base painter's progress-bar caption, group box, panel, track bar and splitter.
#include "platform/os/gdi.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/cxGraphicsBlend.h"
#include "ui/graphics/cxTextLayout.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd {

namespace {

// The caption drawn once in ARect with the canvas font: rotated for a vertical bar, else one
// line at the top-left.
void ProgressDrawTextOnce(TcxCanvas* ACanvas, bool AVertical, const String& AText, const TRect& ARect) {
  if (AVertical) {
    cxRotatedTextOut(ACanvas->Handle(), cxRectOffset(ARect, 2, 2), AText, ACanvas->Font());
  } else {
    TRect r = ARect;
    uint32_t format = CXTO_LEFT | CXTO_TOP | CXTO_SINGLELINE;
    if (ACanvas->UseRightToLeftAlignment()) format |= CXTO_RTLREADING;
    cxTextOut(ACanvas->Handle(), AText, r, format, 0, 0, ACanvas->Font());
  }
}

// A line from AFrom to ATo (exclusive) along the splitter's length, at AAcross across it.
void SplitterSegment(TcxCanvas* ACanvas, bool AHorizontal, int32_t AAcross, int32_t AFrom, int32_t ATo) {
  if (ATo <= AFrom) return;
  if (AHorizontal) {
    ACanvas->MoveTo(AFrom, AAcross);
    ACanvas->LineTo(ATo, AAcross);
  } else {
    ACanvas->MoveTo(AAcross, AFrom);
    ACanvas->LineTo(AAcross, ATo);
  }
}

}  // namespace

// --- Progress bar ------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawProgressBarBorder(TcxCanvas* /*ACanvas*/, const TRect& /*ARect*/,
                                                        bool /*AVertical*/) {}

void TcxCustomLookAndFeelPainter::DrawProgressBarChunk(TcxCanvas* /*ACanvas*/, const TRect& /*ARect*/,
                                                       bool /*AVertical*/) {}

void TcxCustomLookAndFeelPainter::DrawProgressBarText(TcxCanvas* ACanvas, bool AVertical, bool ASolid,
                                                      const String& AText, const TRect& ATextRect,
                                                      const TRect& /*AProgressBarRect*/,
                                                      const TRect& AProgressChunkRect, TColor ATextColor) {
  ACanvas->SaveState();
  struct TRestore {
    TcxCanvas* Canvas;
    ~TRestore() { Canvas->RestoreState(); }
  } restore{ACanvas};

  ACanvas->Font()->SetColor(ATextColor == clDefault || !ASolid ? ProgressBarTextColor() : ATextColor);
  if (ASolid) {
    ProgressDrawTextOnce(ACanvas, AVertical, AText, ATextRect);
    return;
  }
  if (ProgressBarTextColorEx(true) == clDefault) {
    // White text on black, XORed onto the canvas: every text pixel inverts what lies beneath.
    if (ATextRect.IsEmpty()) return;
    TcxBitmap32 bitmap(ATextRect.Width(), ATextRect.Height(), true);
    TcxCanvas* bitmapCanvas = bitmap.cxCanvas();
    bitmapCanvas->Font()->Assign(ACanvas->Font());
    bitmapCanvas->Font()->SetColor(clWhite);
    bitmapCanvas->SetUseRightToLeftAlignment(ACanvas->UseRightToLeftAlignment());
    ProgressDrawTextOnce(bitmapCanvas, AVertical, AText, bitmap.ClientRect());
    const TCopyMode copyMode = ACanvas->CopyMode();
    ACanvas->SetCopyMode(cmSrcInvert);
    ACanvas->Draw(ATextRect.Left, ATextRect.Top, &bitmap);
    ACanvas->SetCopyMode(copyMode);
    return;
  }
  TRect r;
  if (!cxRectIntersect(r, ATextRect, AProgressChunkRect)) {
    ProgressDrawTextOnce(ACanvas, AVertical, AText, ATextRect);
    return;
  }
  // The text in the empty part's colour everywhere, then the chunk's pixels put back and the
  // text drawn again, clipped to the chunk, in the filled part's colour.
  TcxBitmap32 saved(r.Width(), r.Height());
  cxBitBlt(saved.Canvas()->Handle(), ACanvas->Handle(), saved.ClientRect(), r.TopLeft(), SRCCOPY);
  ACanvas->Font()->SetColor(ProgressBarTextColorEx(false));
  ProgressDrawTextOnce(ACanvas, AVertical, AText, ATextRect);
  cxBitBlt(ACanvas->Handle(), saved.Canvas()->Handle(), r, TPoint{0, 0}, SRCCOPY);
  ACanvas->IntersectClipRect(r);
  ACanvas->Font()->SetColor(ProgressBarTextColorEx(true));
  ProgressDrawTextOnce(ACanvas, AVertical, AText, ATextRect);
}

TRect TcxCustomLookAndFeelPainter::ProgressBarBorderSize(bool /*AVertical*/) {
  return TRect{0, 0, 0, 0};
}

TColor TcxCustomLookAndFeelPainter::ProgressBarTextColor() {
  return ProgressBarTextColorEx(false);
}

TColor TcxCustomLookAndFeelPainter::ProgressBarTextColorEx(bool AIsFilledArea) {
  return AIsFilledArea ? clDefault : clWindowText;
}

// --- Group box and panel -------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawGroupBoxBackground(TcxCanvas* /*ACanvas*/, const TRect& /*ABounds*/,
                                                         const TRect& /*ARect*/) {}

void TcxCustomLookAndFeelPainter::DrawGroupBoxCaption(TcxCanvas* /*ACanvas*/, const TRect& /*ACaptionRect*/,
                                                      const TRect& /*ATextRect*/,
                                                      TcxGroupBoxCaptionPosition /*ACaptionPosition*/) {}

void TcxCustomLookAndFeelPainter::DrawGroupBoxContent(TcxCanvas* /*ACanvas*/, const TRect& /*ABorderRect*/,
                                                      TcxGroupBoxCaptionPosition /*ACaptionPosition*/,
                                                      const TcxBorders& /*ABorders*/) {}

void TcxCustomLookAndFeelPainter::DrawGroupBoxScaledExpandButton(TcxCanvas* ACanvas, const TRect& R,
                                                                 TcxButtonState AState, bool AExpanded,
                                                                 TdxScaleFactor* AScaleFactor,
                                                                 TcxRotationAngle ARotationAngle) {
  DrawScaledExpandButtonEx(ACanvas, R, AState, AExpanded, AScaleFactor, ARotationAngle);
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxScaledButton(TcxCanvas* ACanvas, const TRect& R,
                                                           TcxButtonState AState,
                                                           TdxScaleFactor* AScaleFactor) {
  DrawScaledButton(ACanvas, R, String(), AState, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxScaledExpandGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                                TcxButtonState AState, bool AExpanded,
                                                                TdxScaleFactor* AScaleFactor) {
  DrawScaledExpandMark(ACanvas, R, ButtonSymbolColor(AState, clDefault), AExpanded, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxFrame(TcxCanvas* /*ACanvas*/, const TRect& /*R*/,
                                                    bool /*AEnabled*/,
                                                    TcxGroupBoxCaptionPosition /*ACaptionPosition*/,
                                                    const TcxBorders& /*ABorders*/) {}

void TcxCustomLookAndFeelPainter::GroupBoxAdjustCaptionFont(TFont* /*ACaptionFont*/,
                                                            TcxGroupBoxCaptionPosition /*ACaptionPosition*/) {
}

TRect TcxCustomLookAndFeelPainter::GroupBoxBorderSize(bool /*ACaption*/,
                                                      TcxGroupBoxCaptionPosition /*ACaptionPosition*/) {
  return TRect{0, 0, 0, 0};
}

int32_t TcxCustomLookAndFeelPainter::GroupBoxCaptionTailSize(
    TcxGroupBoxCaptionPosition /*ACaptionPosition*/) {
  return 0;
}

TColor TcxCustomLookAndFeelPainter::GroupBoxTextColor(bool AEnabled,
                                                      TcxGroupBoxCaptionPosition /*ACaptionPosition*/) {
  return AEnabled ? clWindowText : clBtnShadow;
}

bool TcxCustomLookAndFeelPainter::IsGroupBoxCaptionTextDrawnOverBorder(
    TcxGroupBoxCaptionPosition /*ACaptionPosition*/) {
  return true;
}

bool TcxCustomLookAndFeelPainter::IsGroupBoxTransparent(bool /*AIsCaption*/,
                                                        TcxGroupBoxCaptionPosition /*ACaptionPosition*/) {
  return false;
}

void TcxCustomLookAndFeelPainter::DrawPanelBackground(TcxCanvas* ACanvas, TWinControl* /*AControl*/,
                                                      const TRect& ABounds, TColor /*AColorFrom*/,
                                                      TColor /*AColorTo*/) {
  DrawGroupBoxBackground(ACanvas, ABounds, ABounds);
}

void TcxCustomLookAndFeelPainter::DrawPanelBorders(TcxCanvas* /*ACanvas*/, const TRect& /*ABorderRect*/) {}

void TcxCustomLookAndFeelPainter::DrawPanelCaption(TcxCanvas* ACanvas, const TRect& ACaptionRect,
                                                   TcxGroupBoxCaptionPosition ACaptionPosition) {
  DrawGroupBoxCaption(ACanvas, ACaptionRect, TRect{0, 0, 0, 0}, ACaptionPosition);
}

void TcxCustomLookAndFeelPainter::DrawPanelContent(TcxCanvas* ACanvas, const TRect& ARect,
                                                   bool /*ADrawBorders*/) {
  ACanvas->FillRect(ARect, clBtnFace);
}

TRect TcxCustomLookAndFeelPainter::PanelBorderSize() {
  return TRect{0, 0, 0, 0};
}

TColor TcxCustomLookAndFeelPainter::PanelTextColor() {
  return GroupBoxTextColor(true, cxgpTop);
}

// --- Track bar -----------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::CorrectThumbRect(TcxCanvas* /*ACanvas*/, TRect& ARect, bool /*AHorizontal*/,
                                                   TcxTrackBarTicksAlign /*ATicks*/) {
  ++ARect.Right;
  ++ARect.Bottom;
}

void TcxCustomLookAndFeelPainter::DrawTrackBarScaledTrack(TcxCanvas* ACanvas, const TRect& ARect,
                                                          const TRect& /*ASelection*/,
                                                          bool /*AShowSelection*/, bool /*AEnabled*/,
                                                          bool /*AHorizontal*/, TColor ATrackColor,
                                                          TdxScaleFactor* /*AScaleFactor*/) {
  ACanvas->FillRect(ARect, ATrackColor);
  DrawTrackBarTrackBounds(ACanvas, ARect);
}

void TcxCustomLookAndFeelPainter::DrawTrackBarTrackBounds(TcxCanvas* /*ACanvas*/, const TRect& /*ARect*/) {}

TcxCustomLookAndFeelPainter::TcxTrackBarThumbOutline
TcxCustomLookAndFeelPainter::CalculateTrackBarThumbOutline(const TRect& ARect, bool AHorizontal,
                                                           TcxTrackBarTicksAlign ATicks) {
  const int32_t L = ARect.Left, T = ARect.Top, R = ARect.Right, B = ARect.Bottom;
  const int32_t W = ARect.Width(), H = ARect.Height();
  TcxTrackBarThumbOutline o;
  if (ATicks == tbtaUp) {
    if (AHorizontal) {
      const int32_t y = T + W / 2 - 1, x = L + W / 2;
      o.Body = {{R - 1, B - 2}, {L + 1, B - 2}, {L + 1, y}, {x, T}, {R - 1, y}};
      o.Light = {{L, B - 1}, {L, y}, {x, T - 1}};
      o.Shadow = {{x, T}, {R - 1, y}, {R - 1, B - 2}, {L, B - 2}};
      o.Dark = {{x, T - 1}, {R, y}, {R, B - 1}, {L, B - 1}};
    } else {
      const int32_t x = L + H / 2 - 1, y = T + H / 2;
      o.Body = {{R - 2, B - 1}, {R - 2, T + 1}, {x, T + 1}, {L, y}, {x, B - 1}};
      o.Light = {{R - 1, T}, {x, T}, {L - 1, y}};
      o.Shadow = {{L, y}, {x, B - 1}, {R - 2, B - 1}, {R - 2, T}};
      o.Dark = {{L - 1, y}, {x, B}, {R - 1, B}, {R - 1, T}};
    }
  } else if (ATicks == tbtaDown) {
    if (AHorizontal) {
      const int32_t y = B - W / 2, x = L + W / 2;
      o.Body = {{R - 1, T + 1}, {L + 1, T + 1}, {L + 1, y}, {x, B - 1}, {R - 1, y}};
      o.Light = {{R, T}, {L, T}, {L, y}, {x, B}};
      o.Shadow = {{x, B - 1}, {R - 1, y}, {R - 1, T}};
      o.Dark = {{x, B}, {R, y}, {R, T}};
    } else {
      const int32_t x = R - H / 2, y = T + H / 2;
      o.Body = {{L + 1, B - 1}, {L + 1, T + 1}, {x, T + 1}, {R - 1, y}, {x, B - 1}};
      o.Light = {{L, B}, {L, T}, {x, T}, {R, y}};
      o.Shadow = {{R - 1, y}, {x, B - 1}, {L, B - 1}};
      o.Dark = {{R, y}, {x, B}, {L, B}};
    }
  }
  return o;
}

void TcxCustomLookAndFeelPainter::DrawTrackBarScaledThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                          TcxButtonState /*AState*/, bool AHorizontal,
                                                          TcxTrackBarTicksAlign ATicks, TColor AThumbColor,
                                                          TdxScaleFactor* /*AScaleFactor*/) {
  ACanvas->Pen()->SetColor(AThumbColor);
  ACanvas->Brush()->SetColor(AThumbColor);
  if (ATicks == tbtaBoth) {
    ACanvas->FillRect(ARect, AThumbColor);
    DrawTrackBarThumbBorderBoth(ACanvas, ARect);
    return;
  }
  const TcxTrackBarThumbOutline outline = CalculateTrackBarThumbOutline(ARect, AHorizontal, ATicks);
  ACanvas->Polygon(outline.Body);
  DrawTrackBarThumbBorderUpDown(ACanvas, outline.Light, outline.Shadow, outline.Dark);
}

void TcxCustomLookAndFeelPainter::DrawTrackBarThumbBorderUpDown(
    TcxCanvas* /*ACanvas*/, const std::vector<TPoint>& /*ALightPolyLine*/,
    const std::vector<TPoint>& /*AShadowPolyLine*/, const std::vector<TPoint>& /*ADarkPolyLine*/) {}

void TcxCustomLookAndFeelPainter::DrawTrackBarThumbBorderBoth(TcxCanvas* /*ACanvas*/,
                                                              const TRect& /*ARect*/) {}

TSize TcxCustomLookAndFeelPainter::TrackBarScaledThumbSize(bool /*AHorizontal*/,
                                                           TdxScaleFactor* /*AScaleFactor*/) {
  return TSize{0, 0};
}

int32_t TcxCustomLookAndFeelPainter::TrackBarScaledTrackSize(TdxScaleFactor* /*AScaleFactor*/) {
  return 0;
}

TColor TcxCustomLookAndFeelPainter::TrackBarTicksColor(bool /*AText*/) {
  return clDefault;
}

TSize TcxCustomLookAndFeelPainter::RangeTrackBarScaledLeftThumbSize(bool /*AHorizontal*/,
                                                                    TcxTrackBarTicksAlign /*ATicks*/,
                                                                    TdxScaleFactor* /*AScaleFactor*/) {
  return TSize{0, 0};
}

TSize TcxCustomLookAndFeelPainter::RangeTrackBarScaledRightThumbSize(bool /*AHorizontal*/,
                                                                     TcxTrackBarTicksAlign /*ATicks*/,
                                                                     TdxScaleFactor* /*AScaleFactor*/) {
  return TSize{0, 0};
}

TRect TcxCustomLookAndFeelPainter::GetRangeTrackBarThumbDrawRect(const TRect& ARect, bool AHorizontal,
                                                                 TcxTrackBarTicksAlign ATicks) {
  TRect r = ARect;
  if (ATicks != tbtaBoth) {
    if (AHorizontal)
      --r.Right;
    else
      --r.Bottom;
  }
  return r;
}

void TcxCustomLookAndFeelPainter::DrawRangeTrackBarScaledLeftThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                                   TcxButtonState AState, bool AHorizontal,
                                                                   TcxTrackBarTicksAlign ATicks,
                                                                   TColor AThumbColor,
                                                                   TdxScaleFactor* AScaleFactor) {
  DrawTrackBarScaledThumb(ACanvas, GetRangeTrackBarThumbDrawRect(ARect, AHorizontal, ATicks), AState,
                          AHorizontal, ATicks, AThumbColor, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawRangeTrackBarScaledRightThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                                    TcxButtonState AState, bool AHorizontal,
                                                                    TcxTrackBarTicksAlign ATicks,
                                                                    TColor AThumbColor,
                                                                    TdxScaleFactor* AScaleFactor) {
  DrawTrackBarScaledThumb(ACanvas, GetRangeTrackBarThumbDrawRect(ARect, AHorizontal, ATicks), AState,
                          AHorizontal, ATicks, AThumbColor, AScaleFactor);
}

// --- Splitter ------------------------------------------------------------------------------------

TColor TcxCustomLookAndFeelPainter::GetSplitterInnerColor(bool /*AHighlighted*/) {
  return clWhite;
}

TColor TcxCustomLookAndFeelPainter::GetSplitterOuterColor(bool /*AHighlighted*/) {
  return clBtnShadow;
}

TSize TcxCustomLookAndFeelPainter::GetScaledSplitterSize(bool AHorizontal, TdxScaleFactor* AScaleFactor) {
  const TSize size{AScaleFactor->Apply(17), AScaleFactor->Apply(2)};
  return AHorizontal ? size : TSize{size.cy, size.cx};
}

bool TcxCustomLookAndFeelPainter::HasSplitterInnerLine(bool AHorizontal, TdxScaleFactor* AScaleFactor) {
  const TSize size = GetScaledSplitterSize(AHorizontal, AScaleFactor);
  return (AHorizontal ? size.cy : size.cx) > 1;
}

void TcxCustomLookAndFeelPainter::DrawScaledSplitter(TcxCanvas* ACanvas, const TRect& ARect,
                                                     bool AHighlighted, bool AClicked, bool AHorizontal,
                                                     TdxScaleFactor* AScaleFactor, bool AHasCloseMark,
                                                     TcxArrowDirection AArrowDirection) {
  const bool inner = HasSplitterInnerLine(AHorizontal, AScaleFactor);
  const int32_t length = (AHorizontal ? ARect.Width() : ARect.Height()) - (inner ? 1 : 0);
  const TRect line = AHorizontal ? cxRectCenter(ARect, length, 1) : cxRectCenter(ARect, 1, length);
  const int32_t start = AHorizontal ? line.Left : line.Top;
  const int32_t end = AHorizontal ? line.Right : line.Bottom;
  const int32_t c = (start + end) / 2;
  const auto drawGrip = [&](TColor AColor, int32_t AShift) {
    ACanvas->Pen()->SetColor(AColor);
    const int32_t across = (AHorizontal ? line.Top : line.Left) + AShift;
    SplitterSegment(ACanvas, AHorizontal, across, start + AShift, c - 5 + AShift);
    if (!AHasCloseMark) {
      SplitterSegment(ACanvas, AHorizontal, across, c - 4 + AShift, c - 2 + AShift);
      SplitterSegment(ACanvas, AHorizontal, across, c - 1 + AShift, c + 1 + AShift);
      SplitterSegment(ACanvas, AHorizontal, across, c + 2 + AShift, c + 4 + AShift);
    }
    const int32_t tail = !AHasCloseMark ? c + 5 : (inner ? c + 8 : c + 6);
    SplitterSegment(ACanvas, AHorizontal, across, tail + AShift, end + AShift);
  };
  ACanvas->Pen()->SetWidth(1);
  ACanvas->Pen()->SetStyle(psSolid);
  drawGrip(GetSplitterOuterColor(AHighlighted), 0);
  if (inner) drawGrip(GetSplitterInnerColor(AHighlighted), 1);
  if (AHasCloseMark)
    DrawSplitterCloseMark(ACanvas, ARect, AArrowDirection, AScaleFactor, AHorizontal, AClicked, AHighlighted);
}

void TcxCustomLookAndFeelPainter::DrawSplitterCloseMark(TcxCanvas* ACanvas, const TRect& ARect,
                                                        TcxArrowDirection AArrowDirection,
                                                        TdxScaleFactor* AScaleFactor, bool AHorizontal,
                                                        bool /*AClicked*/, bool /*AHighlighted*/) {
  TPoint c = cxRectCenter(ARect);
  const int32_t length = AHorizontal ? ARect.Width() : ARect.Height();
  if (HasSplitterInnerLine(AHorizontal, AScaleFactor) && length % 2 == 1) {
    if (AHorizontal)
      ++c.X;
    else
      ++c.Y;
  }
  const int32_t steps = AScaleFactor->Apply(3) + 1;
  const int32_t nearDistance = AArrowDirection == adDown ? AScaleFactor->Apply(2) : AScaleFactor->Apply(3);
  const int32_t farDistance = AArrowDirection == adDown ? AScaleFactor->Apply(4) : AScaleFactor->Apply(5);
  ACanvas->Pen()->SetColor(GetSplitterOuterColor(false));
  // Step i: two strokes i pixels to either side of the arrow's axis, moved i pixels back from
  // the point, each running from farDistance to nearDistance before the centre.
  for (int32_t i = 0; i < steps; ++i) {
    for (int32_t side : {-i, i}) {
      switch (AArrowDirection) {
        case adLeft:
          ACanvas->MoveTo(c.X - farDistance + i, c.Y + side);
          ACanvas->LineTo(c.X - nearDistance + i, c.Y + side);
          break;
        case adRight:
          ACanvas->MoveTo(c.X + farDistance - i, c.Y + side);
          ACanvas->LineTo(c.X + nearDistance - i, c.Y + side);
          break;
        case adUp:
          ACanvas->MoveTo(c.X + side, c.Y - farDistance + i);
          ACanvas->LineTo(c.X + side, c.Y - nearDistance + i);
          break;
        case adDown:
          ACanvas->MoveTo(c.X + side, c.Y + farDistance - i);
          ACanvas->LineTo(c.X + side, c.Y + nearDistance - i);
          break;
      }
      if (i == 0) break;
    }
  }
}

// --- Unscaled forms ------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawGroupBoxExpandButton(TcxCanvas* ACanvas, const TRect& R,
                                                           TcxButtonState AState, bool AExpanded,
                                                           TcxRotationAngle ARotationAngle) {
  DrawGroupBoxScaledExpandButton(ACanvas, R, AState, AExpanded, dxSystemScaleFactor(), ARotationAngle);
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxButton(TcxCanvas* ACanvas, const TRect& R,
                                                     TcxButtonState AState) {
  DrawGroupBoxScaledButton(ACanvas, R, AState, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxExpandGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                          TcxButtonState AState, bool AExpanded) {
  DrawGroupBoxScaledExpandGlyph(ACanvas, R, AState, AExpanded, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawTrackBarTrack(TcxCanvas* ACanvas, const TRect& ARect,
                                                    const TRect& ASelection, bool AShowSelection,
                                                    bool AEnabled, bool AHorizontal, TColor ATrackColor) {
  DrawTrackBarScaledTrack(ACanvas, ARect, ASelection, AShowSelection, AEnabled, AHorizontal, ATrackColor,
                          dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawTrackBarThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                    TcxButtonState AState, bool AHorizontal,
                                                    TcxTrackBarTicksAlign ATicks, TColor AThumbColor) {
  DrawTrackBarScaledThumb(ACanvas, ARect, AState, AHorizontal, ATicks, AThumbColor, dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::TrackBarThumbSize(bool AHorizontal) {
  return TrackBarScaledThumbSize(AHorizontal, dxSystemScaleFactor());
}

int32_t TcxCustomLookAndFeelPainter::TrackBarTrackSize() {
  return TrackBarScaledTrackSize(dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::RangeTrackBarLeftThumbSize(bool AHorizontal,
                                                              TcxTrackBarTicksAlign ATicks) {
  return RangeTrackBarScaledLeftThumbSize(AHorizontal, ATicks, dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::RangeTrackBarRightThumbSize(bool AHorizontal,
                                                               TcxTrackBarTicksAlign ATicks) {
  return RangeTrackBarScaledRightThumbSize(AHorizontal, ATicks, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawRangeTrackBarLeftThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                             TcxButtonState AState, bool AHorizontal,
                                                             TcxTrackBarTicksAlign ATicks,
                                                             TColor AThumbColor) {
  DrawRangeTrackBarScaledLeftThumb(ACanvas, ARect, AState, AHorizontal, ATicks, AThumbColor,
                                   dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawRangeTrackBarRightThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                              TcxButtonState AState, bool AHorizontal,
                                                              TcxTrackBarTicksAlign ATicks,
                                                              TColor AThumbColor) {
  DrawRangeTrackBarScaledRightThumb(ACanvas, ARect, AState, AHorizontal, ATicks, AThumbColor,
                                    dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawSplitter(TcxCanvas* ACanvas, const TRect& ARect, bool AHighlighted,
                                               bool AClicked, bool AHorizontal, bool AHasCloseMark,
                                               TcxArrowDirection AArrowDirection) {
  DrawScaledSplitter(ACanvas, ARect, AHighlighted, AClicked, AHorizontal, dxSystemScaleFactor(),
                     AHasCloseMark, AArrowDirection);
}

TSize TcxCustomLookAndFeelPainter::GetSplitterSize(bool AHorizontal) {
  return GetScaledSplitterSize(AHorizontal, dxSystemScaleFactor());
}

}  // namespace qd
