// Colour functions, HSL and HSV conversions, and the gradient fills on both paths.
#include "ui/graphics/cxGraphicsColors.h"

#include <gtest/gtest.h>

#include "graphics_test_util.h"
#include "ui/graphics/cxGraphicsCanvas.h"

namespace qd::testing {
namespace {

TColor Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<TColor>(RGB(r, g, b));
}

// The software path of the gradients while alive.
class ColorsSoftwareGradient {
 public:
  ColorsSoftwareGradient() : saved_(cxGraphics::GradientFill) { cxGraphics::GradientFill = nullptr; }
  ~ColorsSoftwareGradient() { cxGraphics::GradientFill = saved_; }

 private:
  cxGraphics::TGradientFillProc saved_;
};

using ColorsTest = GraphicsUnitTest;

TEST(ColorFunctions, SentinelsLighterDarkerInvert) {
  EXPECT_EQ(cxGetActualColor(clDefault, clRed), clRed);
  EXPECT_EQ(cxGetActualColor(clBlue, clRed), clBlue);
  EXPECT_FALSE(cxColorIsValid(clNone));
  EXPECT_FALSE(cxColorIsValid(clDefault));
  EXPECT_TRUE(cxColorIsValid(clBtnFace));
  TColor a = clRed, b = clBlue;
  cxExchangeColors(a, b);
  EXPECT_EQ(a, clBlue);
  EXPECT_EQ(b, clRed);
  EXPECT_EQ(dxGetDarkerColor(Rgb(200, 100, 50), 50), Rgb(100, 50, 25));
  EXPECT_EQ(dxGetDarkerColor(Rgb(201, 101, 51), 100), Rgb(201, 101, 51));
  EXPECT_EQ(dxGetLighterColor(Rgb(0, 0, 0), 50), Rgb(127, 127, 127));
  EXPECT_EQ(dxGetLighterColor(Rgb(10, 20, 30), 0), Rgb(255, 255, 255));
  EXPECT_EQ(dxGetLighterColor(Rgb(10, 20, 30), 100), Rgb(10, 20, 30));
  EXPECT_EQ(dxInvertColor(Rgb(0x12, 0x34, 0x56)), Rgb(0xED, 0xCB, 0xA9));
}

TEST_F(ColorsTest, MiddleRgbStaysInsideEachChannel) {
  EXPECT_EQ(dxGetMiddleRGB(Rgb(200, 0, 100), Rgb(0, 200, 100), 50), Rgb(100, 100, 100));
  EXPECT_EQ(dxGetMiddleRGB(Rgb(200, 0, 100), Rgb(0, 200, 100), 100), Rgb(200, 0, 100));
  // Above 100 percent the second colour's part turns negative: clamped at 0, no borrow.
  EXPECT_EQ(dxGetMiddleRGB(Rgb(100, 0, 255), Rgb(0, 255, 0), 150), Rgb(150, 0, 255));
}

TEST(ColorSpaces, HsvAndHslConversions) {
  for (TColor c : {Rgb(255, 128, 0), Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(12, 200, 77), Rgb(90, 10, 250),
                   Rgb(128, 128, 128), Rgb(255, 0, 1)}) {
    EXPECT_EQ(dxHSVToColor(TdxColorSpaceConverter::ColorToHSV(c)), c) << std::hex << c;
    EXPECT_EQ(TdxColorSpaceConverter::HSLToColor(TdxColorSpaceConverter::ColorToHSL(c)), c) << std::hex << c;
  }
  const TdxHSV hsv = TdxColorSpaceConverter::ColorToHSV(Rgb(255, 0, 128));
  EXPECT_NEAR(hsv.H, 360 - 60.0 * 128 / 255, 1e-9);
  EXPECT_DOUBLE_EQ(hsv.S, 1);
  EXPECT_DOUBLE_EQ(hsv.V, 1);
  const TdxHSL hsl = TdxColorSpaceConverter::ColorToHSL(Rgb(0, 0, 255));
  EXPECT_DOUBLE_EQ(hsl.H, 4.0 / 6);
  EXPECT_DOUBLE_EQ(hsl.S, 1);
  EXPECT_DOUBLE_EQ(hsl.L, 0.5);
  const TdxHSL none = TdxColorSpaceConverter::ColorToHSL(clNone);
  EXPECT_EQ(none.H + none.S + none.L, 0);
  const TdxHSV def = TdxColorSpaceConverter::ColorToHSV(clDefault);
  EXPECT_EQ(def.H + def.S + def.V, 0);
  EXPECT_EQ(dxGetColorTint(Rgb(100, 50, 0), 0), Rgb(100, 50, 0));
  EXPECT_EQ(dxGetColorTint(Rgb(100, 50, 0), -100), Rgb(0, 0, 0));
  EXPECT_EQ(dxGetColorTint(Rgb(100, 50, 0), 100), Rgb(255, 255, 255));
  EXPECT_EQ(dxGetColorTint(Rgb(200, 100, 0), -50), Rgb(100, 50, 0));
  EXPECT_EQ(dxGetColorTint(Rgb(200, 100, 0), 50), Rgb(227, 170, 114));
}

TEST_F(ColorsTest, SoftwareGradientBands) {
  ColorsSoftwareGradient software;
  TestBitmap wide(512, 2);
  FillGradientRect(wide.DC(), TRect{0, 0, 512, 2}, Rgb(0, 0, 0), Rgb(255, 0, 255), true);
  for (int band = 0; band < 256; ++band) {
    ASSERT_EQ(wide.Rgb(2 * band, 0), wide.Rgb(2 * band + 1, 1)) << band;
    ASSERT_EQ(wide.Rgb(2 * band, 0), static_cast<uint32_t>(band << 16 | band)) << band;
  }
  TestBitmap one(3, 4);
  FillGradientRect(one.DC(), TRect{1, 0, 2, 4}, clRed, clBlue, true);
  EXPECT_EQ(one.MaskOf(clRed), Rows({".#.", ".#.", ".#.", ".#."}));
  TestBitmap vertical(2, 6);
  FillGradientRect(vertical.DC(), TRect{0, 0, 2, 6}, Rgb(0, 0, 0), Rgb(0, 250, 0), false);
  for (int y = 0; y < 6; ++y) EXPECT_EQ(vertical.Rgb(0, y), static_cast<uint32_t>(y * 50) << 8) << y;
  TestBitmap empty(4, 4);
  FillGradientRect(empty.DC(), TRect{2, 2, 2, 4}, clRed, clBlue, true);
  EXPECT_EQ(empty.CountDrawn(), 0);
}

TEST_F(ColorsTest, GradientsOnTheSystemPathAndEqualColours) {
  ASSERT_NE(cxGraphics::GradientFill, nullptr);
  TestBitmap b(256, 4);
  FillGradientRect(b.DC(), TRect{0, 0, 256, 4}, Rgb(0, 0, 0), Rgb(255, 255, 255), true);
  EXPECT_EQ(b.Rgb(0, 0), 0u);
  EXPECT_GE(b.Rgb(255, 3) & 0xFF, 250u);
  for (int x = 1; x < 256; ++x) ASSERT_GE(b.Rgb(x, 1) & 0xFF, b.Rgb(x - 1, 1) & 0xFF);
  b.SavePng("colors_gradient_system");
  TestBitmap solid(5, 5);
  FillGradientRect(solid.DC(), TRect{1, 1, 4, 4}, clLime, clLime, false);
  EXPECT_EQ(solid.MaskOf(clLime), Rows({".....", ".###.", ".###.", ".###.", "....."}));
  FillRectByColor(solid.DC(), TRect{0, 0, 5, 5}, clNone);
  FrameRectByColor(solid.DC(), TRect{0, 0, 5, 5}, clNone);
  EXPECT_EQ(solid.CountDrawn(), 9);
  FrameRectByColor(solid.DC(), TRect{0, 0, 5, 5}, clRed);
  EXPECT_EQ(solid.MaskOf(clRed), Rows({"#####", "#...#", "#...#", "#...#", "#####"}));
}

TEST_F(ColorsTest, TubeGradient) {
  TestBitmap b(100, 20);
  FillTubeGradientRect(b.DC(), TRect{0, 0, 100, 10}, Rgb(0, 0, 200), Rgb(200, 0, 0), 100, true);
  FillTubeGradientRect(b.DC(), TRect{0, 10, 100, 20}, Rgb(0, 0, 200), Rgb(200, 0, 0), 0, true);
  b.SavePng("colors_tube_gradient", 4);
  EXPECT_EQ(b.Rgb(0, 0), 200u);
  EXPECT_EQ(b.Rgb(50, 0), 0x640064u);  // the plain average at the centre
  EXPECT_EQ(b.Rgb(99, 0), 0xC80000u);
  EXPECT_EQ(b.Rgb(50, 10), 200u);  // P = 0: the middle is the first colour
  for (int x = 0; x <= 50; ++x) EXPECT_EQ(b.Rgb(x, 15), 200u) << x;
  EXPECT_EQ(b.Rgb(99, 15), 0xC80000u);
  TestBitmap solid(4, 4);
  FillTubeGradientRect(solid.DC(), TRect{0, 0, 4, 4}, clYellow, clYellow, 30, false);
  EXPECT_EQ(solid.MaskOf(clYellow), Rows({"####", "####", "####", "####"}));
}

TEST_F(ColorsTest, LightColoursAndHighContrast) {
  const COLORREF oldFace = GetSysColor(COLOR_BTNFACE), oldText = GetSysColor(COLOR_BTNTEXT);
  const INT idx[] = {COLOR_BTNFACE, COLOR_BTNTEXT};
  const COLORREF black[] = {RGB(0, 0, 0), RGB(255, 255, 0)};
  SetSysColors(2, idx, black);
  EXPECT_TRUE(IsHighContrastBlack());
  EXPECT_TRUE(IsHighContrast2());
  EXPECT_EQ(GetLightColor(-2, 30, 72), static_cast<TColor>(ColorToRGB(clHighlight)));
  const COLORREF grey[] = {RGB(100, 100, 100), RGB(0, 0, 0)};
  SetSysColors(2, idx, grey);
  EXPECT_FALSE(IsHighContrastBlack());
  const COLORREF hl = ColorToRGB(clHighlight), win = ColorToRGB(clWindow);
  const TColor light = GetLightColor(-2, 30, 72);
  for (int k = 0; k < 3; ++k) {
    const int expect = std::clamp(MulDiv(100, -2, 100) + MulDiv((hl >> (8 * k)) & 0xFF, 30, 100) +
                                      MulDiv((win >> (8 * k)) & 0xFF, 72, 100),
                                  0, 255);
    EXPECT_EQ(static_cast<int>((light >> (8 * k)) & 0xFF), expect) << k;
  }
  EXPECT_EQ(GetLightSelColor(), dxGetNearestColor(light));
  const COLORREF olds[] = {oldFace, oldText};
  SetSysColors(2, idx, olds);
}

}  // namespace
}  // namespace qd::testing
