// The base painter's arrows, borders, separators, bevels and label lines.
#include <algorithm>
#include <vector>

#include "platform/base/mathutil.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/cxGraphicsColors.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd {

namespace {

// The sides of a line: top and bottom for a horizontal one, left and right for a vertical one.
TcxBorders ArrowsLineSides(bool AIsVertical) {
  return AIsVertical ? TcxBorders{bLeft, bRight} : TcxBorders{bTop, bBottom};
}

// Pen and brush in one colour, so the outline is part of the shape.
void ArrowsPolygon(TcxCanvas* ACanvas, const TcxArrowPoints& P, TColor AColor) {
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->Brush()->SetColor(AColor);
  ACanvas->Pen()->SetColor(AColor);
  ACanvas->Polygon(std::vector<TPoint>(P.begin(), P.end()));
}

}  // namespace

void TcxCustomLookAndFeelPainter::CalculateArrowPoints(const TRect& R, TcxArrowPoints& P,
                                                       TcxArrowDirection AArrowDirection, bool AProportional,
                                                       int32_t AArrowSize) {
  TRect r = R;
  if (AProportional) {
    const int32_t d = r.Width() - r.Height();
    if (d > 0)
      r = cxRectInflate(r, -(d / 2), 0);
    else
      r = cxRectInflate(r, 0, -(-d / 2));
  }
  const bool vertical = AArrowDirection == adUp || AArrowDirection == adDown;
  int32_t s = AArrowSize;
  if (s == 0) s = (vertical ? r.Width() - 1 : r.Height() - 1) / 4 + 1;
  const int32_t w = vertical ? 2 * s - 1 : s;
  const int32_t h = vertical ? s : 2 * s - 1;
  const int32_t x0 = (r.Left + r.Right - w) / 2;
  const int32_t xc = (r.Left + r.Right - 1) / 2;
  const int32_t y0 = MulDiv(r.Top + r.Bottom - h, 1, 2);
  const int32_t yc = (r.Top + r.Bottom) / 2;
  switch (AArrowDirection) {
    case adUp:
      P = {TPoint{x0, y0 + h - 1}, TPoint{xc, y0}, TPoint{x0 + w - 1, y0 + h - 1}};
      break;
    case adDown:
      P = {TPoint{x0 + w - 1, y0}, TPoint{xc, y0 + h - 1}, TPoint{x0, y0}};
      break;
    case adLeft:
      P = {TPoint{x0 + w - 1, y0 + h - 1}, TPoint{x0, yc}, TPoint{x0 + w - 1, y0}};
      break;
    case adRight:
      P = {TPoint{x0, y0}, TPoint{x0 + w - 1, yc}, TPoint{x0, y0 + h - 1}};
      break;
  }
}

void TcxCustomLookAndFeelPainter::DrawButtonArrow(TcxCanvas* ACanvas, const TRect& R, TColor AColor) {
  int32_t w = R.Width() / 2;
  if (w % 2 == 0) ++w;
  const int32_t h = w / 2 + 1;
  TcxArrowPoints p;
  p[0] = TPoint{(R.Left + R.Right - w) / 2, MulDiv(R.Top + R.Bottom - h, 1, 2)};
  p[1] = TPoint{p[0].X + w - 1, p[0].Y};
  p[2] = TPoint{p[0].X + w / 2, p[0].Y + h - 1};
  ArrowsPolygon(ACanvas, p, AColor);
}

TRect TcxCustomLookAndFeelPainter::GetSeparatorBounds(const TRect& R, int32_t AWidth, bool AIsVertical) {
  TRect result = R;
  const TPoint c = cxRectCenter(R);
  if (AIsVertical) {
    result.Left = c.X - AWidth / 2;
    result.Right = result.Left + AWidth;
  } else {
    result.Top = c.Y - AWidth / 2;
    result.Bottom = result.Top + AWidth;
  }
  return result;
}

void TcxCustomLookAndFeelPainter::DrawArrow(TcxCanvas* ACanvas, const TRect& R, TcxArrowDirection AArrowDirection,
                                            TColor AColor) {
  TcxArrowPoints p;
  CalculateArrowPoints(R, p, AArrowDirection, true, 0);
  ArrowsPolygon(ACanvas, p, AColor);
}

void TcxCustomLookAndFeelPainter::DrawCollapseArrow(TcxCanvas* ACanvas, const TRect& R, TColor AColor,
                                                    int32_t ALineWidth) {
  const int32_t s = (std::min(R.Width(), R.Height()) - 1) / 4;
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->Brush()->SetColor(AColor);
  const TRect r = cxRectCenterHorizontally(R, 3 * ALineWidth + s - 1);
  const int32_t yc = cxRectCenter(r).Y;
  for (const int32_t x : {r.Left, r.Left + 2 * ALineWidth})
    for (int32_t i = 0; i < s; ++i) {
      ACanvas->FillRect(TRect{x + i, yc - i, x + i + ALineWidth, yc - i + 1});
      ACanvas->FillRect(TRect{x + i, yc + i, x + i + ALineWidth, yc + i + 1});
    }
}

void TcxCustomLookAndFeelPainter::DrawScaledArrow(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                  TcxArrowDirection AArrowDirection, TdxScaleFactor* AScaleFactor,
                                                  bool ADrawBorder) {
  TcxArrowPoints p;
  CalculateArrowPoints(R, p, AArrowDirection, false, 0);
  ACanvas->Brush()->SetStyle(bsSolid);
  if (ADrawBorder)
    DrawScaledArrowBorder(ACanvas, R, AState, AScaleFactor);
  else
    ACanvas->FillRect(R, ButtonColor(AState));
  ArrowsPolygon(ACanvas, p, ButtonSymbolColor(AState, clDefault));
}

void TcxCustomLookAndFeelPainter::DrawScaledArrowBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                        TdxScaleFactor* /*AScaleFactor*/) {
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->FillRect(R, ButtonColor(AState));
  DrawButtonBorder(ACanvas, R, AState);
}

void TcxCustomLookAndFeelPainter::DrawScaledScrollBarArrow(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                           TcxArrowDirection AArrowDirection,
                                                           TdxScaleFactor* AScaleFactor) {
  TRect r = R;
  if (AState == cxbsPressed) {
    const int32_t shift = ScaledButtonTextShift(AScaleFactor);
    r = cxRectOffset(r, shift, shift);
  }
  TcxArrowPoints p;
  CalculateArrowPoints(r, p, AArrowDirection, true, 0);
  TColor color;
  if (AState == cxbsDisabled) {
    const int32_t d = AScaleFactor->Apply(1);
    TcxArrowPoints shadow = p;
    for (TPoint& pt : shadow) pt = TPoint{pt.X + d, pt.Y + d};
    ArrowsPolygon(ACanvas, shadow, clBtnHighlight);
    color = clBtnShadow;
  } else {
    color = ButtonSymbolColor(AState, clDefault);
  }
  ArrowsPolygon(ACanvas, p, color);
}

int32_t TcxCustomLookAndFeelPainter::BorderSize() {
  return 0;
}

int32_t TcxCustomLookAndFeelPainter::SeparatorSize() {
  return BorderSize();
}

void TcxCustomLookAndFeelPainter::DrawBorder(TcxCanvas* /*ACanvas*/, const TRect& /*R*/) {}

void TcxCustomLookAndFeelPainter::DrawContainerBorder(TcxCanvas* ACanvas, const TRect& R,
                                                      TcxContainerBorderStyle AStyle, int32_t AWidth, TColor AColor,
                                                      const TcxBorders& ABorders) {
  switch (AStyle) {
    case cbsSingle:
    case cbsThick:
      ACanvas->FrameRect(R, AColor, AWidth);
      break;
    case cbsFlat:
      ACanvas->DrawEdge(R, true, true, ABorders);
      ACanvas->FrameRect(cxRectInflate(R, -1), clBtnFace);
      break;
    case cbs3D:
      ACanvas->DrawEdge(R, true, true, ABorders);
      ACanvas->DrawComplexFrame(cxRectInflate(R, -1), cl3DDkShadow, cl3DLight, ABorders);
      break;
    case cbsNone:
    case cbsUltraFlat:
    case cbsOffice11:
      break;
  }
}

void TcxCustomLookAndFeelPainter::DoDrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool /*AIsVertical*/) {
  const TRect r{R.Left, R.Top, R.Right - 1, R.Bottom - 1};
  ACanvas->FillRect(r, clBtnShadow);
  ACanvas->FillRect(cxRectOffset(r, 1, 1), clBtnHighlight);
}

TColor TcxCustomLookAndFeelPainter::GetContainerBorderColor(bool /*AIsHighlightBorder*/) {
  return clBtnText;
}

int32_t TcxCustomLookAndFeelPainter::GetContainerBorderWidth(TcxContainerBorderStyle ABorderStyle) {
  return cxContainerBorderWidthA1[ABorderStyle];
}

void TcxCustomLookAndFeelPainter::DrawLabelLine(TcxCanvas* ACanvas, const TRect& R, TColor AOuterColor,
                                                TColor AInnerColor, bool AIsVertical) {
  ACanvas->DrawComplexFrame(R, cxGetActualColor(AOuterColor, clBtnShadow), cxGetActualColor(AInnerColor, clBtnHighlight),
                            ArrowsLineSides(AIsVertical), 1);
}

int32_t TcxCustomLookAndFeelPainter::LabelLineHeight() {
  return 2;
}

void TcxCustomLookAndFeelPainter::DrawBevelFrame(TcxCanvas* ACanvas, const TRect& R, TColor AColor1, TColor AColor2,
                                                 bool ABoxStyle) {
  if (AColor2 == clNone) {
    ACanvas->FrameRect(R, AColor1);
  } else if (ABoxStyle) {
    ACanvas->DrawComplexFrame(R, AColor1, AColor2, cxBordersAll, 1);
  } else {
    ACanvas->FrameRect(TRect{R.Left + 1, R.Top + 1, R.Right, R.Bottom}, AColor2);
    ACanvas->FrameRect(TRect{R.Left, R.Top, R.Right - 1, R.Bottom - 1}, AColor1);
  }
}

void TcxCustomLookAndFeelPainter::DrawBevelLine(TcxCanvas* ACanvas, const TRect& R, TColor AColor1, TColor AColor2,
                                                bool AIsVertical) {
  if (AColor2 == clNone)
    ACanvas->FillRect(R, AColor1);
  else
    ACanvas->DrawComplexFrame(R, AColor1, AColor2, ArrowsLineSides(AIsVertical), 1);
}

void TcxCustomLookAndFeelPainter::DrawBevelShape(TcxCanvas* ACanvas, const TRect& R, TdxBevelShape AShape,
                                                 TdxBevelStyle AStyle) {
  const TSize m = GetBevelMinimalShapeSize(AShape);
  TColor c1 = clNone, c2 = clNone;
  GetBevelShapeColors(c1, c2);
  if (AStyle == dxbsRaised) {
    std::swap(c1, c2);
    if (c1 == clNone) std::swap(c1, c2);
  }
  switch (AShape) {
    case dxbsBox:
    case dxbsFrame:
      DrawBevelFrame(ACanvas, R, c1, c2, AShape == dxbsBox);
      break;
    case dxbsLineTop:
      DrawBevelLine(ACanvas, cxRectSetHeight(R, m.cy), c1, c2, false);
      break;
    case dxbsLineBottom:
      DrawBevelLine(ACanvas, cxRectSetTop(R, R.Bottom - m.cy, m.cy), c1, c2, false);
      break;
    case dxbsLineLeft:
      DrawBevelLine(ACanvas, cxRectSetWidth(R, m.cx), c1, c2, true);
      break;
    case dxbsLineRight:
      DrawBevelLine(ACanvas, cxRectSetLeft(R, R.Right - m.cx, m.cx), c1, c2, true);
      break;
    case dxbsLineCenteredHorz:
      DrawBevelLine(ACanvas, cxRectCenterHorizontally(R, m.cx), c1, c2, true);
      break;
    case dxbsLineCenteredVert:
      DrawBevelLine(ACanvas, cxRectCenterVertically(R, m.cy), c1, c2, false);
      break;
    case dxbsNone:
      break;
  }
}

TSize TcxCustomLookAndFeelPainter::GetBevelMinimalShapeSize(TdxBevelShape /*AShape*/) {
  return TSize{2, 2};
}

void TcxCustomLookAndFeelPainter::GetBevelShapeColors(TColor& AColor1, TColor& AColor2) {
  AColor1 = clBtnShadow;
  AColor2 = clBtnHighlight;
}

void TcxCustomLookAndFeelPainter::DrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool AIsVertical) {
  DoDrawSeparator(ACanvas, GetSeparatorBounds(R, SeparatorSize(), AIsVertical), AIsVertical);
}

void TcxCustomLookAndFeelPainter::DrawArrow(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                            TcxArrowDirection AArrowDirection, bool ADrawBorder) {
  DrawScaledArrow(ACanvas, R, AState, AArrowDirection, dxSystemScaleFactor(), ADrawBorder);
}

void TcxCustomLookAndFeelPainter::DrawArrowBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) {
  DrawScaledArrowBorder(ACanvas, R, AState, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawScrollBarArrow(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                     TcxArrowDirection AArrowDirection) {
  DrawScaledScrollBarArrow(ACanvas, R, AState, AArrowDirection, dxSystemScaleFactor());
}

}  // namespace qd
