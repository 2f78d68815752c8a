// TcxAlphaBitmap: per-pixel results of every transformation mode, hatching, clearing and the
// shadow, on small bitmaps.
#include "ui/graphics/cxGraphicsAlphaBitmap.h"

#include <gtest/gtest.h>

#include <cstring>

#include "graphics_test_util.h"
#include "ui/graphics/cxGraphicsBlend.h"

namespace qd::testing {
namespace {

RGBQUAD AlphaBitmapTestQuad(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  return RGBQUAD{b, g, r, a};
}

std::string AlphaBitmapTestText(const RGBQUAD& q) {
  return std::to_string(q.rgbRed) + "," + std::to_string(q.rgbGreen) + "," + std::to_string(q.rgbBlue) + "," +
         std::to_string(q.rgbReserved);
}

class AlphaBitmapTest : public GraphicsTest {};

TEST_F(AlphaBitmapTest, TransformationModesPerPixel) {
  // Pixels: opaque colour, listed transparent (magenta), semi-transparent, alpha 0.
  const TRGBColors input = {AlphaBitmapTestQuad(0, 100, 255, 255), AlphaBitmapTestQuad(255, 0, 255, 255),
                            AlphaBitmapTestQuad(30, 60, 90, 128), AlphaBitmapTestQuad(30, 60, 90, 0)};
  const COLORREF shadow = ColorToRGB(clBtnShadow);
  RGBQUAD dirty = AlphaBitmapTestQuad(88, 88, 88, 255);  // gray of (0, 100, 255)
  cxBlendFunction(AlphaBitmapTestQuad(GetRValue(shadow), GetGValue(shadow), GetBValue(shadow), 0xC0), dirty,
                  238);
  struct Case {
    TcxBitmapTransformationMode mode;
    TRGBColors expected;
  } cases[] = {
      {btmDingy,
       {AlphaBitmapTestQuad(77, 147, 255, 255), input[1], AlphaBitmapTestQuad(24, 47, 71, 100),
        AlphaBitmapTestQuad(24, 47, 71, 0)}},
      {btmDirty, {dirty, input[1], {}, {}}},
      {btmGrayScale,
       {AlphaBitmapTestQuad(118, 118, 118, 255), input[1], AlphaBitmapTestQuad(60, 60, 60, 128),
        AlphaBitmapTestQuad(60, 60, 60, 0)}},
      {btmSetOpaque,
       {input[0], input[1], AlphaBitmapTestQuad(30, 60, 90, 255), AlphaBitmapTestQuad(30, 60, 90, 255)}},
      {btmMakeMask,
       {AlphaBitmapTestQuad(0, 0, 0, 0), AlphaBitmapTestQuad(255, 255, 255, 255),
        AlphaBitmapTestQuad(0, 0, 0, 0), AlphaBitmapTestQuad(0, 0, 0, 0)}},
      {btmFade,
       {AlphaBitmapTestQuad(88, 88, 88, 255), input[1], AlphaBitmapTestQuad(54, 54, 54, 128),
        AlphaBitmapTestQuad(54, 54, 54, 0)}},
      {btmDisable,
       {AlphaBitmapTestQuad(126, 126, 126, 255), input[1], AlphaBitmapTestQuad(64, 64, 64, 128),
        AlphaBitmapTestQuad(64, 64, 64, 0)}},
      {btmCorrectBlend, {input[0], input[1], input[2], AlphaBitmapTestQuad(30, 60, 90, 255)}},
      {btmResetAlpha,
       {AlphaBitmapTestQuad(0, 100, 255, 0), AlphaBitmapTestQuad(255, 0, 255, 0),
        AlphaBitmapTestQuad(30, 60, 90, 0), input[3]}},
      {btmExtractLayer, {input[0], AlphaBitmapTestQuad(0, 0, 0, 0), input[2], input[3]}},
  };
  TcxAlphaBitmap b(2, 2);
  for (const auto& c : cases) {
    b.TransparentPixels().Clear();
    b.TransparentPixels().Add(clFuchsia);
    b.SetBitmapColors(input);
    b.TransformBitmap(c.mode);
    TRGBColors out;
    b.GetBitmapColors(out);
    ASSERT_EQ(out.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
      if (c.mode == btmDirty && i >= 2) continue;
      EXPECT_EQ(AlphaBitmapTestText(out[i]), AlphaBitmapTestText(c.expected[i]))
          << int(c.mode) << " pixel " << i;
    }
  }
  // The whole quad of the background colour counts as transparent too.
  b.TransparentPixels().Clear();
  b.SetTransparentBkColor(AlphaBitmapTestQuad(30, 60, 90, 128));
  b.SetBitmapColors(input);
  b.TransformBitmap(btmGrayScale);
  TRGBColors out;
  b.GetBitmapColors(out);
  EXPECT_EQ(AlphaBitmapTestText(out[2]), "30,60,90,128");
  EXPECT_EQ(AlphaBitmapTestText(out[3]), "60,60,60,0");
}

TEST_F(AlphaBitmapTest, HatchAlternatesSquaresFromTheBottomLeft) {
  TcxAlphaBitmap b(4, 4, AlphaBitmapTestQuad(0, 0, 0, 0));
  b.Clear();
  b.DrawHatch(clRed, clBlue, 255, 255, 2);
  TestBitmap view(4, 4);
  BitBlt(view.DC(), 0, 0, 4, 4, b.Canvas()->Handle(), 0, 0, SRCCOPY);
  // Rows counted from the bottom: the bottom-left 2 x 2 square has the first colour.
  EXPECT_EQ(view.MaskOf(clRed), Rows({"..##", "..##", "##..", "##.."}));
  EXPECT_EQ(view.MaskOf(clBlue), Rows({"##..", "##..", "..##", "..##"}));
  b.DrawHatch(clRed, clBlue, 255, 255, 0);  // a zero step is taken as 1
}

TEST_F(AlphaBitmapTest, ClearUsesTheBackgroundQuad) {
  TcxAlphaBitmap opaque(2, 1, AlphaBitmapTestQuad(1, 2, 3, 255));
  opaque.Clear();
  TRGBColors out;
  opaque.GetBitmapColors(out);
  EXPECT_EQ(AlphaBitmapTestText(out[0]), "1,2,3,255");
  TcxAlphaBitmap zero(2, 1, AlphaBitmapTestQuad(1, 2, 3, 0));
  zero.SetBitmapColors({AlphaBitmapTestQuad(9, 9, 9, 9), AlphaBitmapTestQuad(9, 9, 9, 9)});
  zero.Clear();
  zero.GetBitmapColors(out);
  EXPECT_EQ(AlphaBitmapTestText(out[1]), "0,0,0,0");
  zero.TransparentPixels().Add(clRed);
  zero.RefreshImage(3, 2);
  EXPECT_EQ(zero.Width(), 3);
  EXPECT_EQ(zero.TransparentPixels().Count(), 0);
  // RecoverAlphaChannel: the colour stays transparent, other zero alphas become opaque.
  zero.SetBitmapColors(TRGBColors{AlphaBitmapTestQuad(255, 0, 0, 0), AlphaBitmapTestQuad(0, 255, 0, 0),
                                  AlphaBitmapTestQuad(255, 0, 0, 0), AlphaBitmapTestQuad(0, 255, 0, 0),
                                  AlphaBitmapTestQuad(0, 0, 0, 0), AlphaBitmapTestQuad(0, 0, 255, 7)});
  zero.RecoverAlphaChannel(clRed);
  zero.GetBitmapColors(out);
  EXPECT_EQ(AlphaBitmapTestText(out[0]), "255,0,0,0");
  EXPECT_EQ(AlphaBitmapTestText(out[1]), "0,255,0,255");
  EXPECT_EQ(AlphaBitmapTestText(out[5]), "0,0,255,7");
}

TEST_F(AlphaBitmapTest, ShadowAndShade) {
  // A 12 x 12 white square with a black glyph square in the middle; its mask is black where
  // the glyph is.
  TcxAlphaBitmap glyph(12, 12, AlphaBitmapTestQuad(255, 255, 255, 255));
  glyph.Clear();
  glyph.Canvas()->Brush()->SetColor(clNavy);
  glyph.Canvas()->FillRect(TRect{3, 3, 9, 9});
  glyph.TransformBitmap(btmSetOpaque);
  TcxBitmap32 mask(12, 12);
  mask.Canvas()->Brush()->SetColor(clWhite);
  mask.Canvas()->FillRect(mask.ClientRect());
  mask.Canvas()->Brush()->SetColor(clBlack);
  mask.Canvas()->FillRect(TRect{3, 3, 9, 9});
  glyph.DrawShadow(&mask, 2, true, clGray);
  EXPECT_EQ(glyph.Width(), 14);
  TestBitmap view(14, 14);
  BitBlt(view.DC(), 0, 0, 14, 14, glyph.Canvas()->Handle(), 0, 0, SRCCOPY);
  view.SavePng("alphabitmap_shadow", 8);
  EXPECT_EQ(view.Rgb(5, 5), 0x000080u);  // the glyph stays
  EXPECT_NE(view.Rgb(1, 1) & 0xFFFFFF, 0u);

  TcxAlphaBitmap shaded(6, 6, AlphaBitmapTestQuad(255, 255, 255, 255));
  shaded.Clear();
  TcxBitmap32 smask(6, 6);
  smask.Canvas()->Brush()->SetColor(clWhite);
  smask.Canvas()->FillRect(smask.ClientRect());
  smask.Canvas()->Brush()->SetColor(clBlack);
  smask.Canvas()->FillRect(TRect{1, 1, 4, 4});
  shaded.Shade(&smask);
  TestBitmap sview(6, 6);
  BitBlt(sview.DC(), 0, 0, 6, 6, shaded.Canvas()->Handle(), 0, 0, SRCCOPY);
  sview.SavePng("alphabitmap_shade", 8);
  TRGBColors out;
  shaded.GetBitmapColors(out);
  for (const auto& q : out) EXPECT_NE(q.rgbReserved, 0);  // repaired by the correcting pass
}

}  // namespace
}  // namespace qd::testing
