// Colour palettes, 32-bit pixel access, alpha states, tinting, graphic comparison, the clip
// region helper and character bounds.
#include "ui/graphics/dxCoreGraphics.h"

#include <gtest/gtest.h>

#include "graphics_test_util.h"
#include "platform/base/mathutil.h"

namespace qd::testing {
namespace {

RGBQUAD Quad(uint8_t a, uint8_t r = 0, uint8_t g = 0, uint8_t b = 0) {
  return RGBQUAD{b, g, r, a};
}

TEST(AlphaState, ClassifiesTheAlphaBytes) {
  struct Case {
    std::vector<uint8_t> alphas;
    TdxAlphaState state;
  } cases[] = {
      {{}, asNoAlpha},
      {{0, 0, 0}, asNoAlpha},
      {{255, 255}, asOpaque},
      {{0, 255}, asSemitransparent},
      {{255, 0, 255}, asSemitransparent},
      {{255, 128}, asSemitransparent},
      {{0, 1}, asSemitransparent},
  };
  for (const auto& c : cases) {
    TRGBColors colors;
    for (uint8_t a : c.alphas) colors.push_back(Quad(a));
    EXPECT_EQ(dxGetAlphaState(colors), c.state) << c.alphas.size();
  }
}

TEST(ColorPalette, IdentifiesItsContentAndAnswersItsColours) {
  EXPECT_EQ(dxGetColorPaletteID(static_cast<IdxColorPalette*>(nullptr)), TGUID{});
  auto a = std::make_shared<TdxSimpleColorPalette>(0xFF102030u, 0x80405060u);
  auto b = std::make_shared<TdxSimpleColorPalette>(0xFF102030u, 0x80405060u);
  EXPECT_NE(dxGetColorPaletteID(a), TGUID{});
  EXPECT_FALSE(dxGetColorPaletteID(a) == dxGetColorPaletteID(b));
  EXPECT_EQ(dxGetColorPaletteID(a), a->GetID());  // stable for one object
  IdxColorPalettePtr p = a;
  EXPECT_EQ(p->GetFillColor(u"path1"), 0xFF102030u);
  EXPECT_EQ(p->GetStrokeColor(u"anything"), 0x80405060u);
}

TEST(ChangeColor, PremultipliesTheColourByEachPixelsAlpha) {
  RGBQUAD px[] = {Quad(0, 9, 9, 9), Quad(255, 1, 2, 3), Quad(128, 7, 7, 7), Quad(1)};
  dxChangeColor(px, 4, static_cast<TColor>(0x00C08040));  // red 0x40, green 0x80, blue 0xC0
  EXPECT_EQ(px[0].rgbRed + px[0].rgbGreen + px[0].rgbBlue, 0);
  EXPECT_EQ(px[1].rgbRed, 0x40);
  EXPECT_EQ(px[1].rgbGreen, 0x80);
  EXPECT_EQ(px[1].rgbBlue, 0xC0);
  EXPECT_EQ(px[2].rgbRed, MulDiv(0x40, 128, 255));
  EXPECT_EQ(px[2].rgbBlue, MulDiv(0xC0, 128, 255));
  EXPECT_EQ(px[2].rgbReserved, 128);
  EXPECT_EQ(px[3].rgbBlue, 1);  // 192 / 255 rounds to 1
  // System colours are resolved first.
  RGBQUAD sys[] = {Quad(255)};
  dxChangeColor(sys, 1, clWindow);
  EXPECT_EQ(RGB(sys[0].rgbRed, sys[0].rgbGreen, sys[0].rgbBlue), ColorToRGB(clWindow));
}

class PixelsTest : public GraphicsTest {};

TEST_F(PixelsTest, BitmapBitsRoundTripInBothRowOrders) {
  TestBitmap t(3, 2, 0);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) t.Px(x, y) = 0x80000000u | static_cast<uint32_t>(y * 16 + x);
  TRGBColors topDown, bottomUp;
  ASSERT_TRUE(dxCoreGraphics::GetBitmapBits(t.Bitmap(), topDown, true));
  ASSERT_TRUE(dxCoreGraphics::GetBitmapBits(t.Bitmap(), bottomUp, false));
  ASSERT_EQ(topDown.size(), 6u);
  EXPECT_EQ(topDown[1].rgbBlue, 0x01);  // top row first
  EXPECT_EQ(topDown[4].rgbBlue, 0x11);
  EXPECT_EQ(bottomUp[1].rgbBlue, 0x11);  // bottom row first
  EXPECT_EQ(bottomUp[4].rgbBlue, 0x01);
  EXPECT_EQ(topDown[0].rgbReserved, 0x80);

  for (RGBQUAD& q : topDown) q.rgbRed = 0x7F, q.rgbReserved = 255;
  topDown[0].rgbGreen = 0x55;
  ASSERT_TRUE(dxCoreGraphics::SetBitmapBits(t.Bitmap(), topDown, true));
  EXPECT_EQ(t.At(0, 0), 0xFF7F5500u);  // alpha kept by a 32-bit write
  EXPECT_EQ(t.At(2, 1), 0xFF7F0012u);
  ASSERT_TRUE(dxCoreGraphics::SetBitmapBits(t.Bitmap(), topDown, false));
  EXPECT_EQ(t.At(0, 1), 0xFF7F5500u);  // the same array read as bottom-up

  TRGBColors shortArray(5);
  EXPECT_FALSE(dxCoreGraphics::SetBitmapBits(t.Bitmap(), shortArray, true));
  TBitmap empty;
  TRGBColors none;
  EXPECT_FALSE(dxCoreGraphics::GetBitmapBits(&empty, none, true));
  EXPECT_FALSE(dxCoreGraphics::SetBitmapBits(&empty, none, true));
}

TEST_F(PixelsTest, PixelFormatAndAlphaStateOfBitmaps) {
  struct Case {
    TPixelFormat format;
    int bits;
  } cases[] = {{pf1bit, 1},   {pf4bit, 4},   {pf8bit, 8},   {pf15bit, 16},
               {pf16bit, 16}, {pf24bit, 24}, {pf32bit, 32}, {pfDevice, 32}};
  for (const auto& c : cases) {
    TBitmap b;
    b.SetPixelFormat(c.format);
    b.SetSize(2, 2);
    EXPECT_EQ(cxGetBitmapPixelFormat(&b), c.bits) << int(c.format);
    if (c.bits < 32) {
      EXPECT_EQ(dxGetAlphaState(&b), asNoAlpha);
    }
  }
  TestBitmap t(2, 2, 0xFF000000u);
  EXPECT_EQ(dxGetAlphaState(t.Bitmap()), asOpaque);
  EXPECT_TRUE(dxIsAlphaUsed(t.Bitmap()));
  t.Px(1, 1) = 0x40000000u;
  EXPECT_EQ(dxGetAlphaState(t.Bitmap()), asSemitransparent);
  // A fill through the device context writes alpha 0.
  t.Canvas()->Brush()->SetColor(clRed);
  t.Canvas()->FillRect(Rect(0, 0, 2, 2));
  EXPECT_EQ(dxGetAlphaState(t.Bitmap()), asNoAlpha);
  EXPECT_FALSE(dxIsAlphaUsed(t.Bitmap()));
}

TEST_F(PixelsTest, BitmapDataAndHeaders) {
  TestBitmap t(5, 3);
  BITMAP data;
  ASSERT_TRUE(dxGetBitmapData(t.Bitmap()->Handle(), data));
  EXPECT_EQ(data.bmWidth, 5);
  EXPECT_EQ(data.bmHeight, 3);
  EXPECT_EQ(data.bmBitsPixel, 32);
  EXPECT_FALSE(dxGetBitmapData(nullptr, data));

  BITMAPINFOHEADER h;
  h.biSizeImage = 77;
  dxFillBitmapInfoHeader(h, t.Bitmap(), true);
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biWidth, 5);
  EXPECT_EQ(h.biHeight, -3);
  EXPECT_EQ(h.biBitCount, 32);
  EXPECT_EQ(h.biCompression, BI_RGB);
  EXPECT_EQ(h.biSizeImage, 0u);
  dxFillBitmapInfoHeader(h, 5, 3, false);
  EXPECT_EQ(h.biHeight, 3);
}

// A graphic class of its own whose saved bytes equal a bitmap's.
class TOtherBitmap : public TBitmap {
  QD_CLASS_INLINE(TOtherBitmap, TBitmap)
};

TEST_F(PixelsTest, GraphicsAreEqualWhenClassSizeAndSavedBytesAre) {
  auto make = [](TBitmap* b, TColor pixel) {
    b->SetPixelFormat(pf24bit);
    b->SetSize(3, 3);
    b->Canvas()->Brush()->SetColor(clWhite);
    b->Canvas()->FillRect(Rect(0, 0, 3, 3));
    b->Canvas()->SetPixels(1, 1, pixel);
  };
  TBitmap a, b, c, wide;
  TOtherBitmap other;
  make(&a, clRed);
  make(&b, clRed);
  make(&c, clBlue);
  make(&other, clRed);
  make(&wide, clRed);
  wide.SetWidth(4);
  EXPECT_TRUE(dxGraphicIsEquals(&a, &a));
  EXPECT_TRUE(dxGraphicIsEquals(&a, &b));
  EXPECT_FALSE(dxGraphicIsEquals(&a, &c));
  EXPECT_FALSE(dxGraphicIsEquals(&a, &other));
  EXPECT_FALSE(dxGraphicIsEquals(&a, &wide));
  EXPECT_FALSE(dxGraphicIsEquals(&a, nullptr));
  EXPECT_FALSE(dxGraphicIsEquals(nullptr, nullptr));
}

TEST_F(PixelsTest, ClippingHelperSavesAndRestoresTheClipRegion) {
  TestBitmap t(8, 8);
  HDC dc = t.DC();
  HRGN saved = reinterpret_cast<HRGN>(1);
  TdxGdiClippingHelper::SaveClipping(dc, saved);
  EXPECT_EQ(saved, nullptr);  // no clipping
  IntersectClipRect(dc, 1, 1, 4, 4);
  TdxGdiClippingHelper::RestoreClipping(dc, saved);
  HRGN probe = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(dc, probe), 0);  // removed

  IntersectClipRect(dc, 2, 2, 6, 5);
  TdxGdiClippingHelper::SaveClipping(dc, saved);
  ASSERT_NE(saved, nullptr);
  ExcludeClipRect(dc, 0, 0, 8, 8);
  TdxGdiClippingHelper::RestoreClipping(dc, saved);
  EXPECT_EQ(GetObjectType(saved), 0u);  // deleted
  ASSERT_EQ(GetClipRgn(dc, probe), 1);
  RECT box;
  GetRgnBox(probe, &box);
  EXPECT_EQ(box, (RECT{2, 2, 6, 5}));
  DeleteObject(probe);
}

TEST_F(PixelsTest, CharacterBoundsAndSelectionRegions) {
  TestBitmap t(200, 30);
  TCanvas* c = t.Canvas();
  c->Font()->SetName(kTestFontName);
  c->Font()->SetHeight(-13);
  const String text = u"Wide iii";
  const int n = static_cast<int>(text.size());
  const TRect r{10, 3, 190, 23};
  HDC dc = c->Handle();
  for (bool rtl : {false, true}) {
    auto bounds = TdxRTLReadingCharacterPlacementHelper::MeasureCharactersBounds(dc, text.c_str(), n, r,
                                                                                 c->Font()->Handle(), rtl);
    ASSERT_EQ(bounds.size(), text.size());
    EXPECT_EQ(bounds[0].Left, r.Left);
    for (int i = 1; i < n; ++i) EXPECT_EQ(bounds[i].Left, bounds[i - 1].Right);
    for (const TRect& b : bounds) {
      EXPECT_EQ(b.Top, r.Top);
      EXPECT_EQ(b.Bottom, r.Bottom);
    }
    EXPECT_EQ(bounds.back().Right - r.Left, c->TextWidth(text));
    EXPECT_GT(bounds[0].Width(), bounds[5].Width());  // W wider than i
  }
  EXPECT_TRUE(
      TdxRTLReadingCharacterPlacementHelper::MeasureCharactersBounds(dc, text.c_str(), 0, r, nullptr, false)
          .empty());

  auto bounds =
      TdxRTLReadingCharacterPlacementHelper::MeasureCharactersBounds(dc, text.c_str(), n, r, nullptr, false);
  struct Case {
    int start, length;
    int first, last;  // characters covered; -1 for no region
  } cases[] = {{1, 2, 1, 2},  {n, 1, -1, -1},    {2, 0, -1, -1},
               {-1, 2, 0, 0}, {6, 10, 6, n - 1}, {n + 1, 1, -1, -1}};
  for (const auto& cs : cases) {
    HRGN rgn = TdxRTLReadingCharacterPlacementHelper::GetSelectionRangeRegion(
        dc, text.c_str(), n, r, cs.start, cs.length, nullptr, false);
    if (cs.first < 0) {
      EXPECT_EQ(rgn, nullptr) << cs.start << "+" << cs.length;
      continue;
    }
    ASSERT_NE(rgn, nullptr) << cs.start << "+" << cs.length;
    RECT box;
    EXPECT_EQ(GetRgnBox(rgn, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{bounds[cs.first].Left, r.Top, bounds[cs.last].Right, r.Bottom}))
        << cs.start << "+" << cs.length;
    DeleteObject(rgn);
  }
}

}  // namespace
}  // namespace qd::testing
