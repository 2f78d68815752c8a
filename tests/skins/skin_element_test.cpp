#include <cstdio>
#include <limits>
#include <vector>

#include "platform/base/strings.h"

#include "tests/graphics/graphics_test_util.h"
#include "tests/skins/skins_test_util.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/skins/dxSkinsCore.h"

namespace qd {
namespace {

using testing::ImageBytes;
using testing::SkinLoadTexture;
using testing::TestBitmap;

// 0xAARRGGBB, opaque.
constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kYellow = 0xFFFFFF00,
                   kCyan = 0xFF00FFFF, kMagenta = 0xFFFF00FF, kTeal = 0xFF008080, kWhite = 0xFFFFFFFF,
                   kBlack = 0xFF000000, kGray = 0xFF808080;

// A texture of equal frames side by side, each of one colour.
ImageBytes SkinFramesPng(const std::vector<uint32_t>& AColors, int AFrame, bool AVertical = false) {
  const int count = static_cast<int>(AColors.size());
  const int w = AVertical ? AFrame : AFrame * count;
  const int h = AVertical ? AFrame * count : AFrame;
  std::vector<uint32_t> px(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) px[static_cast<size_t>(y) * w + x] = AColors[(AVertical ? y : x) / AFrame];
  return testing::EncodedImage(codecs::ImageFormat::PNG, w, h, 0, px);
}

class SkinElementTest : public testing::SkinsTest {
 protected:
  void TearDown() override {
    dxSkinsUseImageSet = imsDefault;
    testing::SkinsTest::TearDown();
  }

  // A skin with one element of a frame texture: image indexes 0 and 1 of the states normal,
  // hot and pressed (red, green, blue, then yellow, cyan, magenta), 20 pixels a frame.
  TdxSkinElement* FramedElement() {
    TdxSkinElement* e = skin.AddGroup(u"Common")->AddElement(u"Button");
    SkinLoadTexture(e->Image(), SkinFramesPng({kRed, kGreen, kBlue, kYellow, kCyan, kMagenta}, 20));
    e->Image()->SetStates({esNormal, esHot, esPressed});
    e->Image()->SetImageCount(2);
    return e;
  }

  TdxSkin skin{u"S"};
};

TEST_F(SkinElementTest, FramesFollowStatesAndImageIndexes) {
  TdxSkinImage* image = FramedElement()->Image();
  EXPECT_EQ(image->Size(), (TSize{20, 20}));
  EXPECT_EQ(image->GetStateBounds(1, esHot), (TRect{80, 0, 100, 20}));
  EXPECT_EQ(image->GetStateBounds(0, esPressed), (TRect{40, 0, 60, 20}));
  EXPECT_EQ(image->GetStateBounds(0, esDisabled), TRect{}) << "a state without a frame";

  struct Case {
    int32_t index;
    TdxSkinElementState state;
    uint32_t color;
  } cases[] = {{0, esNormal, kRed},   {0, esHot, kGreen},       {1, esPressed, kMagenta}, {1, esHot, kCyan},
               {0, esDisabled, kRed}, {5, esDisabled, kYellow}, {-3, esPressed, kBlue}};
  for (const Case& c : cases) {
    TestBitmap b(10, 10);
    image->Draw(b.DC(), TRect{0, 0, 10, 10}, c.index, c.state);
    EXPECT_EQ(b.At(5, 5), c.color) << c.index << " " << int(c.state);
    EXPECT_EQ(b.At(0, 0), c.color);
    EXPECT_EQ(b.At(9, 9), c.color);
  }

  // Frames that do not divide the texture evenly lose the remainder; a vertical layout.
  TdxSkinElement* uneven = skin.GetGroupByName(u"Common")->AddElement(u"Uneven");
  SkinLoadTexture(uneven->Image(), SkinFramesPng({kRed, kGreen, kBlue}, 7, true));
  uneven->Image()->SetImageLayout(ilVertical);
  uneven->Image()->SetStates({esNormal, esHot});
  EXPECT_EQ(uneven->Image()->Size(), (TSize{7, 10}));
  EXPECT_EQ(uneven->Image()->GetStateBounds(0, esHot), (TRect{0, 10, 7, 20}));
}

TEST_F(SkinElementTest, ImageCountsFromAStreamAreTakenAsTheyAreWithoutOverflow) {
  TdxSkinElement* e = FramedElement();
  // Counts a stream may hold: none, negative and far too many.
  struct Case {
    int32_t count;
    TSize frame;
  } cases[] = {{0, {120, 20}}, {-4, {120, 20}}, {0x7FFFFFFF, {0, 20}}};
  for (const Case& c : cases) {
    TMemoryStream s;
    e->Image()->DataWrite(&s);
    s.SetPosition(16 + 1);
    s.WriteBufferData(c.count);
    s.SetPosition(0);
    e->Image()->DataRead(&s, dxSkinStreamVersion);
    EXPECT_EQ(e->Image()->ImageCount(), c.count);
    EXPECT_EQ(e->Image()->Size(), c.frame) << c.count;
    EXPECT_EQ(e->Image()->GetStateBounds(0x7FFFFFFF, esPressed).Right, c.count > 0 ? 0 : 2147483647)
        << c.count;
    TestBitmap b(10, 10);
    e->Draw(b.DC(), TRect{0, 0, 10, 10}, 0x7FFFFFFF, esHot);
  }
}

// Offsets, margins, thicknesses and sizes from a damaged skin: drawing stays inside 32-bit
// arithmetic and makes no huge pictures (the fuzz target found the first of these).
TEST_F(SkinElementTest, ExtremeGeometryFromSkinDataDrawsSafely) {
  const int32_t big = 2054847123;
  TdxSkinElement* e = skin.AddGroup(u"G")->AddElement(u"Wild");
  TdxSkinAlternateImageAttributes* a = e->AddAlternateImageAttributes(esNormal, 0);
  a->GradientBeginColor().SetValue(clTeal);
  a->ContentOffsets()->SetRect(TRect{-big, -big, -big, -big});
  a->Borders()->Left()->SetColor(clBlue);
  a->Borders()->Left()->SetThin(big);
  a->Borders()->Right()->SetColor(clBlue);
  a->Borders()->Right()->SetThin(-big);
  e->Borders()->Bottom()->SetColor(clGreen);
  e->Borders()->Bottom()->SetThin(std::numeric_limits<int32_t>::min());
  e->Borders()->Top()->SetColor(clGreen);
  e->Borders()->Top()->SetThin(std::numeric_limits<int32_t>::min());
  a->BordersInner()->Top()->SetColor(clRed);
  e->ContentOffset()->SetRect(TRect{-big, -big, big, big});
  e->Glyph()->Margins()->SetMargin(TRect{-big, -big, -big, -big});
  e->Glyph()->GradientBeginColor().SetValue(clRed);
  TestBitmap b(8, 8);
  e->Draw(b.DC(), TRect{0, 0, 8, 8});
  EXPECT_EQ(b.At(4, 4), kRed) << "negative margins widen the glyph's gradient over everything";
  e->Glyph()->GradientBeginColor().SetValue(clNone);
  e->Draw(b.DC(), TRect{0, 0, 8, 8});
  EXPECT_EQ(b.At(4, 4), kBlue) << "the left border, as thick as the content";

  e->MinSize()->SetSize(TSize{big, big});
  EXPECT_TRUE(e->GetImage(0, TSize{}, esNormal)->Empty());
}

TEST_F(SkinElementTest, StateMappingRebuildsTheTextureForNewStates) {
  TdxSkinElement* e = skin.AddGroup(u"G")->AddElement(u"Mapped");
  SkinLoadTexture(e->Image(), SkinFramesPng({kRed, kGreen}, 4));
  e->Image()->SetStates({esNormal, esHot});
  e->SetStateMapping({esNormal, esPressed});
  EXPECT_EQ(e->Image()->States(), (TdxSkinElementStates{esNormal, esPressed}));
  EXPECT_EQ(e->Image()->Texture()->Width(), 8);
  TestBitmap b(8, 4);
  e->Image()->Draw(b.DC(), TRect{0, 0, 4, 4}, 0, esNormal);
  e->Image()->Draw(b.DC(), TRect{4, 0, 8, 4}, 0, esPressed);
  EXPECT_EQ(b.At(1, 1), kRed);
  EXPECT_EQ(b.At(5, 1), testing::kSentinel) << "a state the texture had no frame for is transparent";
  EXPECT_TRUE(e->Glyph()->Empty()) << "an empty texture is left alone";
}

TEST_F(SkinElementTest, RightToLeftLayoutMirrorsTheDrawing) {
  TdxSkinElement* e = skin.AddGroup(u"G")->AddElement(u"Rtl");
  // One 8 x 4 frame: red on the left, blue on the right.
  SkinLoadTexture(e->Image(), SkinFramesPng({kRed, kBlue}, 4));
  TestBitmap ltr(8, 4);
  e->DrawRTL(ltr.DC(), TRect{0, 0, 8, 4}, nullptr, 0, esNormal);
  EXPECT_EQ(ltr.At(0, 1), kRed);
  EXPECT_EQ(ltr.At(7, 1), kBlue);
  // On a right-to-left DC the output is the mirror image of a plain draw.
  TestBitmap plain(8, 4), mirrored(8, 4);
  SetLayout(plain.DC(), LAYOUT_RTL);
  SetLayout(mirrored.DC(), LAYOUT_RTL);
  e->Draw(plain.DC(), TRect{0, 0, 8, 4});
  e->DrawRTL(mirrored.DC(), TRect{0, 0, 8, 4}, nullptr, 0, esNormal);
  SetLayout(plain.DC(), 0);
  SetLayout(mirrored.DC(), 0);
  // The mirrored DC may shift the picture by a pixel; the order of the colours tells.
  auto ends = [](TestBitmap& b) {
    std::vector<uint32_t> drawn;
    for (int x = 0; x < 8; ++x)
      if (b.At(x, 1) != testing::kSentinel) drawn.push_back(b.At(x, 1));
    return drawn.empty() ? std::pair<uint32_t, uint32_t>{} : std::pair{drawn.front(), drawn.back()};
  };
  const auto plainEnds = ends(plain);
  const auto mirroredEnds = ends(mirrored);
  EXPECT_NE(plainEnds.first, plainEnds.second);
  EXPECT_EQ(mirroredEnds.first, plainEnds.second);
  EXPECT_EQ(mirroredEnds.second, plainEnds.first);
}

TEST_F(SkinElementTest, ImageFilesAndNames) {
  TdxSkinElement* e = FramedElement();
  EXPECT_EQ(e->Image()->Name(), u"Button_Image.png");
  EXPECT_EQ(e->Image()->SourceName(), u"Common\\Button_Image.png");
  EXPECT_EQ(e->Glyph()->Name(), String()) << "an empty image has no name";

  const String file = Utf8ToString(::testing::TempDir()) + u"skin_image_test.bmp";
  e->Image()->SaveToFile(file);
  const String saved = Utf8ToString(::testing::TempDir()) + u"skin_image_test.png";
  EXPECT_EQ(e->Image()->SourceName(), saved) << "the extension follows the texture";
  e->Glyph()->LoadFromFile(saved);
  EXPECT_EQ(e->Glyph()->SourceName(), saved);
  EXPECT_EQ(e->Glyph()->Texture()->Width(), 120);
  std::remove(StringToUtf8(saved).c_str());
  EXPECT_THROW(e->Glyph()->LoadFromFile(saved), EFOpenError);

  TBitmap frame;
  e->Image()->GetBitmap(1, esPressed, clWhite, &frame);
  EXPECT_EQ(frame.Width(), 20);
  EXPECT_EQ(frame.Height(), 20);
  EXPECT_EQ(static_cast<uint32_t*>(frame.ScanLine(10))[10] & 0xFFFFFF, kMagenta & 0xFFFFFF);
}

TEST_F(SkinElementTest, MarginsSplitAndShrinkToFit) {
  struct Case {
    TRect margins;
    TRect bounds;
    TRect fitted;
  } cases[] = {{{10, 10, 10, 10}, {0, 0, 12, 12}, {6, 6, 6, 6}},
               {{-2, 3, 4, -1}, {0, 0, 100, 100}, {0, 3, 4, 0}},
               {{30, 0, 10, 0}, {0, 0, 20, 5}, {15, 0, 5, 0}},
               {{5, 5, 5, 5}, {10, 10, 5, 5}, {0, 0, 0, 0}}};
  for (const Case& c : cases) {
    TRect m = c.margins;
    dxSkinsCheckMargins(m, c.bounds);
    EXPECT_EQ(m, c.fitted);
  }

  TRect parts[dxSkinImagePartCount];
  dxSkinsCalculatePartsBounds(TRect{0, 0, 10, 8}, TRect{2, 1, 3, 4}, parts);
  EXPECT_EQ(parts[sipTopLeft], (TRect{0, 0, 2, 1}));
  EXPECT_EQ(parts[sipCenter], (TRect{2, 1, 7, 4}));
  EXPECT_EQ(parts[sipBottomRight], (TRect{7, 4, 10, 8}));
  // Margins wider than the rectangle keep the inner edges inside it.
  dxSkinsCalculatePartsBounds(TRect{0, 0, 4, 4}, TRect{6, 6, 6, 6}, parts);
  EXPECT_EQ(parts[sipTopLeft], (TRect{0, 0, 4, 4}));
  EXPECT_EQ(parts[sipCenter], (TRect{4, 4, 0, 0}));
}

TEST_F(SkinElementTest, NinePartsKeepCornersAndStretchOrTileTheRest) {
  // A 9 x 9 frame of 3 x 3 blocks: corners black, edges gray, centre white, one red pixel in
  // the middle of the centre.
  std::vector<uint32_t> px(81);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) {
      const bool edgeX = x < 3 || x >= 6, edgeY = y < 3 || y >= 6;
      px[static_cast<size_t>(y) * 9 + x] = edgeX && edgeY ? kBlack : (edgeX || edgeY ? kGray : kWhite);
    }
  px[4 * 9 + 4] = kRed;
  TdxSkinElement* e = skin.AddGroup(u"G")->AddElement(u"Panel");
  SkinLoadTexture(e->Image(), testing::EncodedImage(codecs::ImageFormat::PNG, 9, 9, 0, px));
  e->Image()->Margins()->SetAll(3);
  e->Image()->SetInterpolationMode(imNearestNeighbor);

  TestBitmap stretched(21, 21);
  e->Draw(stretched.DC(), TRect{0, 0, 21, 21});
  stretched.SavePng("skin_nine_parts_stretch", 8);
  for (auto [x, y] : {std::pair{0, 0}, {2, 2}, {20, 0}, {18, 20}, {0, 20}})
    EXPECT_EQ(stretched.At(x, y), kBlack) << x << "," << y;
  for (auto [x, y] : {std::pair{10, 0}, {0, 10}, {20, 10}, {10, 19}}) EXPECT_EQ(stretched.At(x, y), kGray);
  EXPECT_EQ(stretched.At(10, 10), kRed) << "the centre pixel, stretched";
  EXPECT_EQ(stretched.At(4, 4), kWhite);

  e->Image()->SetStretch(smTile);
  TestBitmap tiled(21, 21);
  e->Draw(tiled.DC(), TRect{0, 0, 21, 21});
  tiled.SavePng("skin_nine_parts_tile", 8);
  EXPECT_EQ(tiled.At(3, 3), kWhite);
  EXPECT_EQ(tiled.At(4, 4), kRed) << "the centre repeats at its own size";
  EXPECT_EQ(tiled.At(7, 7), kRed);
  EXPECT_EQ(tiled.At(10, 10), kRed);
  EXPECT_EQ(tiled.At(5, 5), kWhite);
  EXPECT_EQ(tiled.At(20, 20), kBlack);

  // A valid gradient colour fills the centre instead of the texture.
  e->Image()->SetStretch(smStretch);
  e->Image()->GradientBeginColor().SetValue(clBlue);
  e->Image()->GradientEndColor().SetValue(clBlue);
  TestBitmap gradient(21, 21);
  e->Draw(gradient.DC(), TRect{0, 0, 21, 21});
  EXPECT_EQ(gradient.At(10, 10), kBlue);
  EXPECT_EQ(gradient.At(0, 0), kBlack);
}

TEST_F(SkinElementTest, NoResizeFrameIsCentredAtItsScaledSize) {
  TdxSkinElement* e = FramedElement();
  e->Image()->SetStretch(smNoResize);
  TestBitmap b(40, 30);
  TdxScaleFactor half;
  half.Assign(1, 2, false);
  e->Draw(b.DC(), TRect{0, 0, 40, 30}, &half, 0, esHot);
  EXPECT_EQ(b.DrawnBounds(), (TRect{15, 10, 25, 20}));
  EXPECT_EQ(b.At(20, 15), kGreen);
  EXPECT_EQ(e->CalculateMinSize(), (TSize{20, 20})) << "a frame that is not resized sets the minimum";
}

TEST_F(SkinElementTest, ImageWithoutTextureDrawsItsGradientInsideTheMargins) {
  TdxSkinElement* e = skin.AddGroup(u"G")->AddElement(u"Flat");
  TestBitmap nothing(10, 10);
  e->Draw(nothing.DC(), TRect{0, 0, 10, 10});
  EXPECT_EQ(nothing.CountDrawn(), 0) << "clDefault colour, no texture, no gradient";

  e->Image()->Margins()->SetAll(2);
  e->Image()->GradientBeginColor().SetValue(clLime);
  e->Image()->GradientEndColor().SetValue(clLime);
  TestBitmap solid(10, 10);
  e->Draw(solid.DC(), TRect{0, 0, 10, 10});
  EXPECT_EQ(solid.DrawnBounds(), (TRect{2, 2, 8, 8}));
  EXPECT_EQ(solid.At(5, 5), kGreen);

  e->Image()->GradientEndColor().SetValue(clBlue);
  e->Image()->SetGradient(gmHorizontal);
  TestBitmap ramp(10, 10);
  e->Draw(ramp.DC(), TRect{0, 0, 10, 10});
  EXPECT_GT(ramp.At(2, 5) & 0x00FF00, ramp.At(7, 5) & 0x00FF00) << "green fades towards blue";
  EXPECT_LT(ramp.At(2, 5) & 0x0000FF, ramp.At(7, 5) & 0x0000FF);
}

TEST_F(SkinElementTest, ElementLayersFillImageBordersAndGlyph) {
  TdxSkinElement* e = skin.AddGroup(u"G")->AddElement(u"Box");
  e->SetColor(clRed);
  e->Borders()->Left()->SetColor(clBlue);
  e->Borders()->Left()->SetThin(2);
  e->Borders()->Bottom()->SetColor(clYellow);
  SkinLoadTexture(e->Glyph(), SkinFramesPng({kGreen}, 4));
  e->ContentOffset()->SetRect(TRect{5, 5, 5, 5});
  TestBitmap b(16, 16);
  e->Draw(b.DC(), TRect{0, 0, 16, 16});
  b.SavePng("skin_element_layers", 8);
  EXPECT_EQ(b.Mask([](uint32_t v) {
    switch (v) {
      case kRed:
        return 'r';
      case kBlue:
        return 'b';
      case kYellow:
        return 'y';
      case kGreen:
        return 'g';
      default:
        return '?';
    }
  }),
            testing::Rows({"bbrrrrrrrrrrrrrr", "bbrrrrrrrrrrrrrr", "bbrrrrrrrrrrrrrr", "bbrrrrrrrrrrrrrr",
                           "bbrrrrrrrrrrrrrr", "bbrrrggggggrrrrr", "bbrrrggggggrrrrr", "bbrrrggggggrrrrr",
                           "bbrrrggggggrrrrr", "bbrrrggggggrrrrr", "bbrrrggggggrrrrr", "bbrrrrrrrrrrrrrr",
                           "bbrrrrrrrrrrrrrr", "bbrrrrrrrrrrrrrr", "bbrrrrrrrrrrrrrr", "yyyyyyyyyyyyyyyy"}));
}

TEST_F(SkinElementTest, AlternateAttributeStandsInForAnEmptyImageInEveryState) {
  TdxSkinElement* e = skin.AddGroup(u"G")->AddElement(u"Alt");
  TdxSkinAlternateImageAttributes* a = e->AddAlternateImageAttributes(esNormal, 0);
  a->GradientBeginColor().SetValue(clTeal);
  a->ContentOffsets()->SetRect(TRect{1, 1, 1, 1});
  a->Borders()->Top()->SetColor(clBlue);
  for (auto [index, state] : {std::pair{0, esNormal}, {3, esHot}, {1, esCheckPressed}}) {
    TestBitmap b(8, 8);
    e->Draw(b.DC(), TRect{0, 0, 8, 8}, index, state);
    EXPECT_EQ(b.DrawnBounds(), (TRect{1, 1, 7, 7})) << index;
    EXPECT_EQ(b.At(3, 1), kBlue);
    EXPECT_EQ(b.At(3, 4), kTeal);
  }

  // With a texture the alternate set is used only when asked for.
  SkinLoadTexture(e->Image(), SkinFramesPng({kCyan}, 8));
  TestBitmap original(8, 8);
  e->Draw(original.DC(), TRect{0, 0, 8, 8});
  EXPECT_EQ(original.At(0, 0), kCyan);
  dxSkinsUseImageSet = imsAlternate;
  TestBitmap alternate(8, 8);
  e->Draw(alternate.DC(), TRect{0, 0, 8, 8});
  EXPECT_EQ(alternate.At(3, 4), kTeal);
}

TEST_F(SkinElementTest, CacheOfEightReusesItsOldestRenderingAndFollowsChanges) {
  TdxSkinElement* e = FramedElement();
  e->SetColor(clWhite);  // opaque: renderings are plain bitmaps
  e->SetUseCache(true);
  TdxSkinElementCacheList* cache = e->Cache();
  ASSERT_NE(cache, nullptr);
  TestBitmap b(100, 20);
  for (int i = 0; i < 9; ++i) e->Draw(b.DC(), TRect{i * 10, 0, i * 10 + 10, 10}, 0, esHot);
  EXPECT_EQ(cache->RenderCount(), 9);
  EXPECT_EQ(cache->Count(), 8);
  EXPECT_EQ(cache->Items(7)->Rect(), (TRect{80, 0, 90, 10})) << "the first rendering, moved to the end";
  EXPECT_EQ(cache->Items(0)->Rect(), (TRect{10, 0, 20, 10}));
  EXPECT_EQ(b.At(85, 5), kGreen);

  e->Draw(b.DC(), TRect{80, 0, 90, 10}, 0, esHot);
  EXPECT_EQ(cache->RenderCount(), 9) << "a hit draws the stored rendering";
  e->Draw(b.DC(), TRect{80, 0, 90, 10}, 0, esPressed);
  EXPECT_EQ(cache->RenderCount(), 10);
  EXPECT_EQ(cache->Count(), 8) << "the same rectangle's entry is rendered again";
  EXPECT_EQ(b.At(85, 5), kBlue);

  dxSkinsUseImageSet = imsOriginal;
  e->Draw(b.DC(), TRect{80, 0, 90, 10}, 0, esPressed);
  EXPECT_EQ(cache->RenderCount(), 11) << "another image set renders again";

  e->Draw(b.DC(), TRect{0, 0, 0, 10});
  EXPECT_EQ(cache->RenderCount(), 11) << "an empty rectangle draws nothing";

  e->SetAlpha(200);
  EXPECT_EQ(cache->Count(), 0) << "a change of the element flushes the cache";
  cache->SetCapacity(2);
  for (int i = 0; i < 3; ++i) e->Draw(b.DC(), TRect{i * 10, 10, i * 10 + 10, 20});
  EXPECT_EQ(cache->Count(), 2);
  e->SetUseCache(false);
  EXPECT_EQ(e->Cache(), nullptr);
}

TEST_F(SkinElementTest, TextColourFallsBackToTheNormalStateAndTheElement) {
  TdxSkinElement* e = skin.AddGroup(u"G")->AddElement(u"Text");
  e->SetTextColor(clNavy);
  EXPECT_EQ(e->GetTextColor(cxbsHot), clNavy);
  e->AddPropertyColor(u"TextColor", clGreen);
  EXPECT_EQ(e->GetTextColor(cxbsHot), clGreen);
  EXPECT_EQ(e->GetTextColor(cxbsDefault), clGreen);
  e->AddPropertyColor(u"TextColorHot", clRed);
  EXPECT_EQ(e->GetTextColor(cxbsHot), clRed);
  e->AddPropertyColor(u"TextColorPressed", clDefault);
  EXPECT_EQ(e->GetTextColor(cxbsPressed), clGreen) << "clDefault falls back";
  e->AddPropertyColor(u"CaptionTextColor", clOlive);
  EXPECT_EQ(e->GetTextColor(cxbsDisabled, u"Caption"), clOlive);
  e->AddPropertyInteger(u"WrongTextColorHot", 1);
  EXPECT_THROW(e->GetTextColor(cxbsHot, u"Wrong"), EConvertError);
}

TEST_F(SkinElementTest, ImageOfMinimumSizeFollowsTheScale) {
  TdxSkinElement* e = skin.AddGroup(u"G")->AddElement(u"Min");
  e->MinSize()->SetSize(TSize{16, 16});
  e->SetColor(clRed);
  TdxScaleFactor scale;
  scale.Assign(3, 2, false);
  std::unique_ptr<TdxSmartImage> image = e->GetImage(0, TSize{}, esNormal, &scale);
  EXPECT_EQ(image->Width(), 24);
  EXPECT_EQ(image->Height(), 24);
  EXPECT_EQ(dxSkinGetElementSize(e, &scale), (TSize{24, 24}));
  EXPECT_EQ(dxSkinGetElementSize(nullptr, &scale), TSize{});
}

TEST_F(SkinElementTest, EmptyElementIsAWhiteBoxWithARedFrame) {
  TestBitmap b(5, 4);
  ASSERT_NE(dxSkinEmptyElement(), nullptr);
  dxSkinEmptyElement()->Draw(b.DC(), TRect{0, 0, 5, 4}, 2, esHot);
  EXPECT_EQ(b.Mask([](uint32_t v) {
    return (v & 0xFFFFFF) == 0xFF0000 ? 'r' : (v & 0xFFFFFF) == 0xFFFFFF ? 'w' : '?';
  }),
            testing::Rows({"rrrrr", "rwwwr", "rwwwr", "rrrrr"}));
}

TEST_F(SkinElementTest, PalettesOfImagesByStateAndOfTheSkin) {
  TdxSkinElement* e = skin.AddGroup(u"G")->AddElement(u"Glyph");
  EXPECT_EQ(e->Glyph()->GetPalette(esHot, false), nullptr);
  EXPECT_EQ(e->Glyph()->GetPalette(esHot, true), static_cast<IdxColorPalette*>(&skin));
  EXPECT_EQ(e->GetGlyphColorPalette(esHot), skin.ColorPalette());
  TdxSkinColorPalette* normal = e->Glyph()->ColorPalettes()->Add(u"Normal");
  TdxSkinColorPalette* hot = e->Glyph()->ColorPalettes()->Add(u"Hot");
  EXPECT_EQ(e->Glyph()->GetPalette(esHot, false), hot);
  EXPECT_EQ(e->Glyph()->GetPalette(esPressed, false), normal);
  EXPECT_EQ(e->GetGlyphColorPalette(esHot), hot);
}

}  // namespace
}  // namespace qd
