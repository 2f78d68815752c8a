// TcxAlphaBitmap: per-pixel results of every transformation mode, hatching, clearing and the
// shadow, on small bitmaps.
#include "ui/graphics/cxGraphicsAlphaBitmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

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

// A glyph from rows of characters (top row first): '#' the opaque colour, '.' transparent
// (the zero quad, as image drawing leaves the pixels its mask filters out), and its mask made
// the way image drawing makes one from a copy of the glyph.
struct AlphaBitmapTestGlyph {
  std::unique_ptr<TcxAlphaBitmap> Glyph, Mask;
};

AlphaBitmapTestGlyph AlphaBitmapTestMakeGlyph(const std::vector<std::string>& ARows, const RGBQUAD& AColor) {
  const int w = static_cast<int>(ARows[0].size()), h = static_cast<int>(ARows.size());
  TRGBColors colors(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      colors[static_cast<size_t>(h - 1 - y) * w + x] =
          ARows[static_cast<size_t>(y)][static_cast<size_t>(x)] == '#' ? AColor
                                                                       : AlphaBitmapTestQuad(0, 0, 0, 0);
  AlphaBitmapTestGlyph result{std::make_unique<TcxAlphaBitmap>(w, h), std::make_unique<TcxAlphaBitmap>(w, h)};
  result.Glyph->SetBitmapColors(colors);
  result.Mask->SetBitmapColors(colors);
  result.Mask->TransformBitmap(btmMakeMask);
  return result;
}

// 'G' glyph colour, 'S' shadow colour (both opaque), '.' the zero quad, '?' anything else.
std::string AlphaBitmapTestPicture(TcxAlphaBitmap& ABitmap, const RGBQUAD& AGlyph, TColor AShadow) {
  TRGBColors colors;
  ABitmap.GetBitmapColors(colors);
  const RGBQUAD shadow = AlphaBitmapTestQuad(GetRValue(ColorToRGB(AShadow)), GetGValue(ColorToRGB(AShadow)),
                                             GetBValue(ColorToRGB(AShadow)), 255);
  std::string s;
  for (int y = ABitmap.Height() - 1; y >= 0; --y) {
    for (int x = 0; x < ABitmap.Width(); ++x) {
      const RGBQUAD& q = colors[static_cast<size_t>(y) * ABitmap.Width() + x];
      s += std::memcmp(&q, &AGlyph, 4) == 0      ? 'G'
           : std::memcmp(&q, &shadow, 4) == 0    ? 'S'
           : AlphaBitmapTestText(q) == "0,0,0,0" ? '.'
                                                 : '?';
    }
    s += '\n';
  }
  return s;
}

TEST_F(AlphaBitmapTest, ShadowIsTheGlyphOffsetBehindIt) {
  const RGBQUAD navy = AlphaBitmapTestQuad(0, 0, 128, 255);
  const std::vector<std::string> ell = {"#....", "#....", "#....", "#....", "####."};
  struct Case {
    int size;
    bool extend;
    TColor colour;
    std::string expected;
  } cases[] = {
      {1, true, clBtnShadow, Rows({"G.....", "GS....", "GS....", "GS....", "GGGG..", ".SSSS."})},
      {2, true, clGray, Rows({"G......", "G......", "G.S....", "G.S....", "GGGG...", "..S....", "..SSSS."})},
      // Not extended (the disabled draw mode): what falls outside the glyph's area is cut off.
      {1, false, clBtnHighlight, Rows({"G....", "GS...", "GS...", "GS...", "GGGG."})},
  };
  for (const auto& c : cases) {
    auto g = AlphaBitmapTestMakeGlyph(ell, navy);
    g.Glyph->DrawShadow(g.Mask.get(), c.size, c.extend, c.colour);
    EXPECT_EQ(AlphaBitmapTestPicture(*g.Glyph, navy, c.colour), c.expected) << c.size << " " << c.extend;
  }

  // Looked at: glyphs with their shadows, blended over a light background as image drawing does.
  const std::vector<std::vector<std::string>> glyphs = {
      ell,
      {"..##..", ".#..#.", "#....#", "#....#", ".#..#.", "..##.."},
      {"######", "#....#", "#.##.#", "#.##.#", "#....#", "######"},
  };
  TestBitmap sheet(52, 14, 0xFFE8E8E8);
  int left = 1;
  for (const auto& rows : glyphs)
    for (int size : {1, 2}) {
      auto g = AlphaBitmapTestMakeGlyph(rows, navy);
      g.Glyph->DrawShadow(g.Mask.get(), size, true, clBtnShadow);
      const TRect dest{left, 2, left + g.Glyph->Width(), 2 + g.Glyph->Height()};
      cxAlphaBlend(sheet.DC(), g.Glyph.get(), dest, g.Glyph->ClientRect());
      left += g.Glyph->Width() + 1;
    }
  sheet.SavePng("alphabitmap_shadow_sheet", 12);
  EXPECT_EQ(sheet.Rgb(1, 2), 0x000080u);             // the L's glyph
  EXPECT_EQ(sheet.Rgb(2, 3), ColorPx(clBtnShadow));  // its shadow
  EXPECT_EQ(sheet.Rgb(3, 3), 0xE8E8E8u);             // the background shows through
}

TEST_F(AlphaBitmapTest, Shade) {
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
