// The base painter's scroll-bar parts, size grips, slider buttons, drop-down window frames,
// popup bands and hint backgrounds.
#include <algorithm>

#include "platform/os/gdi.h"
#include "platform/os/user.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/cxWindowGeometry.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/cxGraphicsBlend.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersBitmaps.h"

namespace qd {

namespace {

bool PopupCornerIsTop(TdxCorner ACorner) {
  return ACorner == coTopLeft || ACorner == coTopRight;
}

bool PopupCornerIsRight(TdxCorner ACorner) {
  return ACorner == coTopRight || ACorner == coBottomRight;
}

}  // namespace

void TcxCustomLookAndFeelPainter::DoDrawScaledScrollBarPart(TcxCanvas* /*ACanvas*/, bool /*AHorizontal*/,
                                                            const TRect& /*R*/, TcxScrollBarPart /*APart*/,
                                                            TcxButtonState /*AState*/,
                                                            TdxScaleFactor* /*AScaleFactor*/) {}

TColor TcxCustomLookAndFeelPainter::GetWindowContentTextColor() {
  return clBtnText;
}

void TcxCustomLookAndFeelPainter::DrawWindowContent(TcxCanvas* ACanvas, const TRect& ARect) {
  ACanvas->FillRect(ARect, clBtnFace);
}

void TcxCustomLookAndFeelPainter::DrawEditPopupWindowBorder(TcxCanvas* ACanvas, TRect& R,
                                                            TcxEditPopupBorderStyle ABorderStyle,
                                                            bool AClientEdge) {
  const auto shrink = [&R] { R = cxRectInflate(R, -1); };
  switch (ABorderStyle) {
    case epbsSingle:
      ACanvas->FrameRect(R, clBtnText);
      break;
    case epbsFrame3D:
    case epbsFlat:
      ACanvas->DrawEdge(R, false, true);
      shrink();
      ACanvas->DrawEdge(R, false, false);
      if (ABorderStyle == epbsFrame3D) {
        shrink();
        ACanvas->FrameRect(R, AClientEdge ? clInactiveBorder : clBtnFace);
        shrink();
        if (AClientEdge)
          ACanvas->FrameRect(R, clBtnFace);
        else
          ACanvas->DrawEdge(R, true, true);
      }
      break;
    case epbsDefault:
      break;
  }
  shrink();
}

int32_t TcxCustomLookAndFeelPainter::GetEditPopupWindowBorderWidth(TcxEditPopupBorderStyle AStyle) {
  return cxEditPopupWindowFrameWidthA[AStyle];
}

int32_t TcxCustomLookAndFeelPainter::GetEditPopupWindowClientEdgeWidth(TcxEditPopupBorderStyle AStyle) {
  return cxEditPopupClientEdgeWidthA[AStyle];
}

TcxPopupBorderStyle TcxCustomLookAndFeelPainter::PopupBorderStyle() {
  return pbsUltraFlat;
}

TColor TcxCustomLookAndFeelPainter::GetHintBorderColor() {
  return clDefault;
}

void TcxCustomLookAndFeelPainter::DrawHintBackground(TcxCanvas* ACanvas, const TRect& ARect, TColor AColor) {
  ACanvas->FillRect(ARect, AColor == clDefault ? clInfoBk : AColor);
}

IdxColorPalettePtr TcxCustomLookAndFeelPainter::ScreenTipGetColorPalette() {
  return nullptr;
}

TColor TcxCustomLookAndFeelPainter::ScreenTipGetDescriptionTextColor() {
  return clDefault;
}

int32_t TcxCustomLookAndFeelPainter::ScreenTipGetFooterLineSize() {
  return 3;
}

TColor TcxCustomLookAndFeelPainter::ScreenTipGetTitleTextColor() {
  return clDefault;
}

void TcxCustomLookAndFeelPainter::ScreenTipDrawBackground(TcxCanvas* ACanvas, const TRect& ARect) {
  DrawHintBackground(ACanvas, cxRectInflate(ARect, -1), clDefault);
  TCanvas* canvas = ACanvas->Canvas();
  canvas->Pen()->SetColor(clWindowFrame);
  canvas->Brush()->SetStyle(bsClear);
  canvas->RoundRect(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, 2, 2);
  canvas->Brush()->SetStyle(bsSolid);
}

void TcxCustomLookAndFeelPainter::ScreenTipDrawFooterLine(TcxCanvas* ACanvas, const TRect& ARect) {
  ACanvas->FillRect(TRect{ARect.Left, ARect.Top, ARect.Right, ARect.Top + 1}, clWindowFrame);
  ACanvas->FillRect(TRect{ARect.Left, ARect.Top + 1, ARect.Right, ARect.Top + 2}, clWhite);
}

void TcxCustomLookAndFeelPainter::DrawScaledScrollBarBackground(TcxCanvas* ACanvas, const TRect& R,
                                                                bool AHorizontal,
                                                                TdxScaleFactor* AScaleFactor) {
  DrawScaledScrollBarPart(ACanvas, AHorizontal, R, sbpPageUp, cxbsNormal, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawScaledScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal,
                                                          const TRect& R, TcxScrollBarPart APart,
                                                          TcxButtonState AState,
                                                          TdxScaleFactor* AScaleFactor) {
  if (AHorizontal && ACanvas->UseRightToLeftAlignment()) {
    if (APart == sbpLineUp)
      APart = sbpLineDown;
    else if (APart == sbpLineDown)
      APart = sbpLineUp;
  }
  DoDrawScaledScrollBarPart(ACanvas, AHorizontal, R, APart, AState, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawScaledScrollBarSplitter(TcxCanvas* ACanvas, const TRect& R,
                                                              TcxButtonState AState,
                                                              TdxScaleFactor* AScaleFactor) {
  DrawNavigatorScaledButton(ACanvas, R, AState, clDefault, AScaleFactor);
  DrawNavigatorBorder(ACanvas, R, false);
  DrawScaledSplitter(ACanvas, cxRectInflate(R, -2), AState == cxbsHot, AState == cxbsPressed, false,
                     AScaleFactor, false, adLeft);
}

int32_t TcxCustomLookAndFeelPainter::ScaledScrollBarMinimalThumbSize(bool /*AVertical*/,
                                                                     TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(8);
}

void TcxCustomLookAndFeelPainter::CalculateScaledPopupPanelClientRect(
    TRect& AClientRect, TRect& APanelRect, TRect& AGripRect, TRect& ACloseButtonRect, TdxCorner ACorner,
    const TRect& ABorders, const TRect& APanelBorders, TdxScaleFactor* AScaleFactor, int32_t APanelHeight,
    bool AShowCloseButton, bool AShowGripSize) {
  if (APanelHeight == 0) APanelHeight = ScaledPopupPanelSize(AScaleFactor);
  AClientRect = cxRectContent(AClientRect, ABorders);
  APanelRect = AClientRect;
  const bool top = PopupCornerIsTop(ACorner);
  const bool right = PopupCornerIsRight(ACorner);
  if (top) {
    APanelRect.Bottom = APanelRect.Top + APanelHeight;
    AClientRect.Top = APanelRect.Bottom;
  } else {
    APanelRect.Top = APanelRect.Bottom - APanelHeight;
    AClientRect.Bottom = APanelRect.Top;
  }

  AGripRect = TRect{};
  if (AShowGripSize) {
    const TSize grip = ScaledSizeGripSize(AScaleFactor);
    AGripRect = APanelRect;
    if (right) {
      AGripRect.Right -= 2;
      AGripRect.Left = AGripRect.Right - grip.cx;
    } else {
      AGripRect.Left += 2;
      AGripRect.Right = AGripRect.Left + grip.cx;
    }
    if (top) {
      AGripRect.Top += 2;
      AGripRect.Bottom = AGripRect.Top + grip.cy;
    } else {
      AGripRect.Bottom -= 2;
      AGripRect.Top = AGripRect.Bottom - grip.cy;
    }
  }

  ACloseButtonRect = TRect{};
  if (AShowCloseButton) {
    TRect square = cxRectContent(APanelRect, APanelBorders);
    if (right)
      square.Right = square.Left + square.Height();
    else
      square.Left = square.Right - square.Height();
    ACloseButtonRect = cxRectCenter(square, ScaledSmallCloseButtonSize(AScaleFactor));
  }
}

void TcxCustomLookAndFeelPainter::DrawScaledPopupNCPanel(HWND AHandle, bool AMouseAboveCloseButton,
                                                         bool ACloseButtonIsTracking, TdxCorner ACorner,
                                                         const TRect& ACloseButtonRect,
                                                         const TRect& AGripRect, TColor ABorderColor,
                                                         TdxScaleFactor* AScaleFactor) {
  HDC dc = GetWindowDC(AHandle);
  TcxPaintCanvas* canvas = cxPaintCanvas();
  canvas->BeginPaint(dc);
  struct TEnd {
    TcxPaintCanvas* Canvas;
    HWND Handle;
    HDC DC;
    ~TEnd() {
      Canvas->EndPaint();
      ReleaseDC(Handle, DC);
    }
  } end{canvas, AHandle, dc};

  const TRect window = cxGetWindowRect(AHandle);
  const TPoint offset{-window.Left, -window.Top};
  const TRect bounds{0, 0, window.Width(), window.Height()};
  TRect client = cxGetClientRect(AHandle);
  TPoint corners[2] = {client.TopLeft(), client.BottomRight()};
  MapWindowPoints(AHandle, nullptr, corners, 2);
  client = cxRectOffset(TRect{corners[0].X, corners[0].Y, corners[1].X, corners[1].Y}, offset);
  const int32_t border = client.Left;

  TRect panel = cxRectInflate(bounds, -border);
  const bool top = PopupCornerIsTop(ACorner);
  if (top)
    panel.Bottom = client.Top;
  else
    panel.Top = client.Bottom;

  canvas->FrameRect(bounds, ABorderColor, border);

  TcxButtonState state = cxbsNormal;
  if (AMouseAboveCloseButton && ACloseButtonIsTracking)
    state = cxbsPressed;
  else if (AMouseAboveCloseButton || ACloseButtonIsTracking)
    state = cxbsHot;

  const TRect bandBorders = top ? TRect{0, 0, 0, 1} : TRect{0, 1, 0, 0};
  DrawScaledPopupPanelBand(canvas, panel, cxRectOffset(AGripRect, offset),
                           cxRectOffset(ACloseButtonRect, offset), ACorner, state, bandBorders, ABorderColor,
                           AScaleFactor, true, true);
}

void TcxCustomLookAndFeelPainter::DoDrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect,
                                                 TdxScaleFactor* /*AScaleFactor*/) {
  RECT r = ARect;
  DrawFrameControl(ACanvas->Handle(), &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

void TcxCustomLookAndFeelPainter::DrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect,
                                               TColor ABackgroundColor, TdxCorner ACorner) {
  DrawScaledSizeGrip(ACanvas, ARect, dxSystemScaleFactor(), ABackgroundColor, ACorner);
}

void TcxCustomLookAndFeelPainter::DrawScaledSizeGrip(TcxCanvas* ACanvas, const TRect& ARect,
                                                     TdxScaleFactor* AScaleFactor, TColor ABackgroundColor,
                                                     TdxCorner ACorner) {
  dxRotateSizeGrip(
      ACanvas, ARect, AScaleFactor, ABackgroundColor, ACorner,
      [this, AScaleFactor](TcxCanvas* ABitmapCanvas, const TRect& AGripRect, const TdxScaleFactor*) {
        DoDrawSizeGrip(ABitmapCanvas, AGripRect, AScaleFactor);
      });
}

TSize TcxCustomLookAndFeelPainter::ScaledSizeGripSize(TdxScaleFactor* AScaleFactor) {
  return TSize{dxGetSystemMetrics(SM_CXVSCROLL, AScaleFactor),
               dxGetSystemMetrics(SM_CYHSCROLL, AScaleFactor)};
}

TSize TcxCustomLookAndFeelPainter::ScaledSliderButtonSize(TcxArrowDirection /*ADirection*/,
                                                          TdxScaleFactor* AScaleFactor) {
  return ScaledSizeGripSize(AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawScaledSliderButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                         TcxArrowDirection ADirection, TcxButtonState AState,
                                                         TdxScaleFactor* AScaleFactor) {
  const bool horizontal = ADirection == adLeft || ADirection == adRight;
  const TcxScrollBarPart part = ADirection == adDown || ADirection == adRight ? sbpLineDown : sbpLineUp;
  DrawScaledScrollBarPart(ACanvas, horizontal, ARect, part, AState, AScaleFactor);
}

TcxArrowDirection TcxCustomLookAndFeelPainter::GetArrowDirection(bool AHorizontal, TcxScrollBarPart APart) {
  if (AHorizontal) return APart == sbpLineUp ? adLeft : adRight;
  return APart == sbpLineUp ? adUp : adDown;
}

int32_t TcxCustomLookAndFeelPainter::ScaledPopupPanelSize(TdxScaleFactor* AScaleFactor) {
  return std::max({dxGetSystemMetrics(SM_CYHSCROLL, AScaleFactor) + 3,
                   ScaledSizeGripSize(AScaleFactor).cy + 4, ScaledSmallCloseButtonSize(AScaleFactor).cy + 6});
}

void TcxCustomLookAndFeelPainter::DrawScaledPopupPanelBand(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& AGripRect, const TRect& ACloseButtonRect,
    TdxCorner AGripCorner, TcxButtonState ACloseButtonState, const TRect& ABorders, TColor ABorderColor,
    TdxScaleFactor* AScaleFactor, bool AShowGripSize, bool AShowCloseButton) {
  const TRect content = cxRectContent(ABounds, ABorders);
  ACanvas->SaveClipRegion();
  ACanvas->ExcludeClipRect(content);
  ACanvas->FillRect(ABounds, ABorderColor);
  ACanvas->RestoreClipRegion();

  if (AShowGripSize && !AGripRect.IsEmpty()) {
    TcxBitmap32 bitmap(AGripRect.Width(), AGripRect.Height());
    TcxCanvas* bitmapCanvas = bitmap.cxCanvas();
    DrawWindowContent(bitmapCanvas, bitmap.ClientRect());
    DrawScaledSizeGrip(bitmapCanvas, bitmap.ClientRect(), AScaleFactor, clNone, AGripCorner);
    cxBitBlt(ACanvas->Handle(), bitmap.Canvas()->Handle(), AGripRect, TPoint{0, 0}, SRCCOPY);
    ACanvas->ExcludeClipRect(AGripRect);
  }
  if (AShowCloseButton) {
    DrawWindowContent(ACanvas, ACloseButtonRect);
    DrawScaledSmallCloseButton(ACanvas, ACloseButtonRect, ACloseButtonState, AScaleFactor);
    ACanvas->ExcludeClipRect(ACloseButtonRect);
  }
  DrawWindowContent(ACanvas, content);
  ACanvas->ExcludeClipRect(ABounds);
}

int32_t TcxCustomLookAndFeelPainter::ScrollBarMinimalThumbSize(bool AVertical) {
  return ScaledScrollBarMinimalThumbSize(AVertical, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawScrollBarBackground(TcxCanvas* ACanvas, const TRect& R,
                                                          bool AHorizontal) {
  DrawScaledScrollBarBackground(ACanvas, R, AHorizontal, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TRect& R,
                                                    TcxScrollBarPart APart, TcxButtonState AState) {
  DrawScaledScrollBarPart(ACanvas, AHorizontal, R, APart, AState, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawScrollBarSplitter(TcxCanvas* ACanvas, const TRect& R,
                                                        TcxButtonState AState) {
  DrawScaledScrollBarSplitter(ACanvas, R, AState, dxSystemScaleFactor());
}

int32_t TcxCustomLookAndFeelPainter::PopupPanelSize() {
  return ScaledPopupPanelSize(dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::CalculatePopupPanelClientRect(TRect& AClientRect, TRect& APanelRect,
                                                                TRect& AGripRect, TRect& ACloseButtonRect,
                                                                TdxCorner ACorner, const TRect& ABorders,
                                                                const TRect& APanelBorders,
                                                                int32_t APanelHeight, bool AShowCloseButton,
                                                                bool AShowGripSize) {
  CalculateScaledPopupPanelClientRect(AClientRect, APanelRect, AGripRect, ACloseButtonRect, ACorner, ABorders,
                                      APanelBorders, dxSystemScaleFactor(), APanelHeight, AShowCloseButton,
                                      AShowGripSize);
}

void TcxCustomLookAndFeelPainter::DrawPopupNCPanel(HWND AHandle, bool AMouseAboveCloseButton,
                                                   bool ACloseButtonIsTracking, TdxCorner ACorner,
                                                   const TRect& ACloseButtonRect, const TRect& AGripRect,
                                                   TColor ABorderColor) {
  DrawScaledPopupNCPanel(AHandle, AMouseAboveCloseButton, ACloseButtonIsTracking, ACorner, ACloseButtonRect,
                         AGripRect, ABorderColor, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawPopupPanelBand(TcxCanvas* ACanvas, const TRect& ABounds,
                                                     const TRect& AGripRect, const TRect& ACloseButtonRect,
                                                     TdxCorner AGripCorner, TcxButtonState ACloseButtonState,
                                                     const TRect& ABorders, TColor ABorderColor,
                                                     bool AShowGripSize, bool AShowCloseButton) {
  DrawScaledPopupPanelBand(ACanvas, ABounds, AGripRect, ACloseButtonRect, AGripCorner, ACloseButtonState,
                           ABorders, ABorderColor, dxSystemScaleFactor(), AShowGripSize, AShowCloseButton);
}

TSize TcxCustomLookAndFeelPainter::SizeGripSize() {
  return ScaledSizeGripSize(dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DoDrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect) {
  DoDrawSizeGrip(ACanvas, ARect, dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::SliderButtonSize(TcxArrowDirection ADirection) {
  return ScaledSliderButtonSize(ADirection, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawSliderButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                   TcxArrowDirection ADirection, TcxButtonState AState) {
  DrawScaledSliderButton(ACanvas, ARect, ADirection, AState, dxSystemScaleFactor());
}

}  // namespace qd
