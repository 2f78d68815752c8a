// Texture brushes, image attributes and bitmap drawing on the GDI+ canvas.
#include <gtest/gtest.h>

#include <memory>

#include "platform/base/exceptions.h"
#include "tests/graphics/dxGDIPlus_test_util.h"
#include "ui/core/cxClasses.h"
#include "ui/graphics/dxGDIPlusImage.h"

namespace qd {
namespace {

// Texture brushes copy their pictures through the image codecs, as the program's start-up
// registers them.
class GdipImagesTest : public testing::GdipClassesFixture {
 protected:
  void SetUp() override {
    testing::GdipClassesFixture::SetUp();
    cxClasses::Initialize();
    dxSmartImage::Initialize();
    dxGDIPlusImage::Initialize();
  }
  void TearDown() override {
    dxGDIPlusImage::Finalize();
    dxSmartImage::Finalize();
    cxClasses::Finalize();
    testing::GdipClassesFixture::TearDown();
  }
};

constexpr uint32_t kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kGreen = 0xFF00FF00;

TEST_F(GdipImagesTest, TextureBrushesRepeatFromTheirTargetCorner) {
  // A 2 x 2 checker: red, blue / blue, red.
  TdxGPBrush brush;
  brush.SetStyle(gpbsTexture);
  EXPECT_TRUE(brush.IsEmpty());
  {
    TdxGPImage checker;
    checker.SetHandle(testing::GdipTestBitmap(2, 2, {kRed, kBlue, kBlue, kRed}));
    brush.SetTexture(&checker);
  }  // the brush keeps its own copy
  EXPECT_FALSE(brush.IsEmpty());

  testing::TestBitmap bmp(12, 12);
  {
    TdxGPCanvas canvas(bmp.DC());
    canvas.SetSmoothingMode(smNone);
    canvas.FillRectangle(TRect{3, 3, 9, 9}, &brush);
  }
  bmp.SavePng("gdip_texture_checker", 16);
  // The target is stored inflated by one, so the texture starts at (2, 2): (3, 3) is texel (1, 1).
  EXPECT_EQ(bmp.At(3, 3) & 0xFFFFFF, kRed & 0xFFFFFF);
  EXPECT_EQ(bmp.At(4, 3) & 0xFFFFFF, kBlue & 0xFFFFFF);
  EXPECT_EQ(bmp.At(8, 8) & 0xFFFFFF, kRed & 0xFFFFFF);
  EXPECT_EQ(bmp.DrawnBounds(), (TRect{3, 3, 9, 9}));

  // Moving the target moves the texture along, on the live handle too.
  bmp.Fill(testing::kSentinel);
  {
    TdxGPCanvas canvas(bmp.DC());
    canvas.SetSmoothingMode(smNone);
    canvas.FillRectangle(TRect{4, 3, 10, 9}, &brush);
  }
  EXPECT_EQ(bmp.At(4, 3) & 0xFFFFFF, kRed & 0xFFFFFF);

  // The texture transform scales the texels.
  brush.TextureTransform()->Scale(2, 2);
  bmp.Fill(testing::kSentinel);
  {
    TdxGPCanvas canvas(bmp.DC());
    canvas.SetSmoothingMode(smNone);
    canvas.SetInterpolationMode(imNearestNeighbor);
    canvas.FillRectangle(TRect{1, 1, 11, 11}, &brush);
  }
  bmp.SavePng("gdip_texture_scaled", 16);
  EXPECT_EQ(bmp.At(1, 1) & 0xFFFFFF, kRed & 0xFFFFFF);  // texels 2 pixels wide from (0, 0)
  EXPECT_EQ(bmp.At(2, 1) & 0xFFFFFF, kBlue & 0xFFFFFF);
  EXPECT_EQ(bmp.At(3, 1) & 0xFFFFFF, kBlue & 0xFFFFFF);
  EXPECT_EQ(bmp.At(4, 1) & 0xFFFFFF, kRed & 0xFFFFFF);

  // Copies keep the texture; clearing it empties the brush.
  TdxGPBrush copy;
  copy.Assign(&brush);
  EXPECT_EQ(copy.Style(), gpbsTexture);
  EXPECT_FALSE(copy.IsEmpty());
  EXPECT_NE(copy.Texture(), brush.Texture());
  copy.SetTexture(nullptr);
  EXPECT_TRUE(copy.IsEmpty());

  // Changing the brush's own texture rebuilds the live brush.
  brush.Texture()->SetHandle(testing::GdipTestBitmap(1, 1, {kGreen}));
  bmp.Fill(testing::kSentinel);
  {
    TdxGPCanvas canvas(bmp.DC());
    canvas.SetSmoothingMode(smNone);
    canvas.FillRectangle(TRect{1, 1, 11, 11}, &brush);
  }
  EXPECT_EQ(bmp.MaskOf(clLime), bmp.Mask());
}

// Draws a 2 x 1 image (red, blue) 1:1 at (0, 0) with the attributes.
void GdipImagesDraw(testing::TestBitmap& ABmp, TdxGPImageAttributes& AAttributes) {
  GpBitmap* image = testing::GdipTestBitmap(2, 1, {kRed, kBlue});
  {
    TdxGPCanvas canvas(ABmp.DC());
    dxGpDrawImage(canvas.Handle(), TRect{0, 0, 2, 1}, TRect{0, 0, 2, 1}, image, 255, AAttributes.Handle());
  }
  GdipDisposeImage(image);
}

TEST_F(GdipImagesTest, ImageAttributeSettersRecolourDrawnImages) {
  testing::TestBitmap bmp(2, 1);
  {
    TdxGPImageAttributes keyed;
    keyed.SetColorKey(0xFF0000F0, 0xFF0000FF);  // the blue pixel is keyed out
    GdipImagesDraw(bmp, keyed);
    EXPECT_EQ(bmp.At(0, 0) & 0xFFFFFF, kRed & 0xFFFFFF);
    EXPECT_EQ(bmp.At(1, 0), testing::kSentinel);
    keyed.ClearColorKey();
    GdipImagesDraw(bmp, keyed);
    EXPECT_EQ(bmp.At(1, 0) & 0xFFFFFF, kBlue & 0xFFFFFF);
  }
  {
    TdxGPImageAttributes remap;
    remap.SetRemapTable({{kRed, kGreen}});
    GdipImagesDraw(bmp, remap);
    EXPECT_EQ(bmp.At(0, 0) & 0xFFFFFF, kGreen & 0xFFFFFF);
    // A table for brushes leaves bitmaps alone once bitmaps have settings of their own.
    remap.SetNoOp(gdiplus::ColorAdjustTypeBitmap);
    GdipImagesDraw(bmp, remap);
    EXPECT_EQ(bmp.At(0, 0) & 0xFFFFFF, kRed & 0xFFFFFF);
    remap.ClearNoOp(gdiplus::ColorAdjustTypeBitmap);
    remap.ClearRemapTable();
    remap.SetBrushRemapTable({{kRed, kGreen}});
    remap.ClearBrushRemapTable();
  }
  {
    TdxGPImageAttributes other;
    other.SetThreshold(0.5f);
    other.ClearThreshold();
    other.SetGamma(2.2f);
    other.ClearGamma();
    other.SetOutputChannel(ColorChannelFlagsK);
    other.ClearOutputChannel();
    other.ClearOutputChannelColorProfile();
    other.SetWrapMode(gdiplus::WrapModeTileFlipXY);
    std::unique_ptr<TdxGPImageAttributes> clone(other.Clone());
    EXPECT_NE(clone->Handle(), other.Handle());
    // Refused values raise.
    try {
      other.SetGamma(0);
      ADD_FAILURE();
    } catch (const EdxGdipException& e) {
      EXPECT_EQ(e.GetStatus(), gdiplus::InvalidParameter);
    }
    EXPECT_THROW(other.SetOutputChannelColorProfile(u"/no/such/profile.icc"), EdxGdipException);
  }
}

TEST_F(GdipImagesTest, DrawBitmapTakesOpaqueAndAlphaBitmaps) {
  TBitmap source;
  source.SetPixelFormat(pf32bit);
  source.SetSize(2, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) static_cast<uint32_t*>(source.ScanLine(y))[x] = 0x00FF0000;  // no alpha
  testing::TestBitmap bmp(6, 6, 0xFFFFFFFF);
  {
    TdxGPCanvas canvas(bmp.DC());
    canvas.DrawBitmap(&source, TRect{1, 1, 5, 5});
  }
  EXPECT_EQ(bmp.At(1, 1), 0xFFFF0000u);
  EXPECT_EQ(bmp.At(4, 4), 0xFFFF0000u);
  EXPECT_EQ(bmp.At(0, 0), 0xFFFFFFFFu);

  // Premultiplied half-transparent black over white, then a further alpha of 128.
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) static_cast<uint32_t*>(source.ScanLine(y))[x] = 0x80000000;
  bmp.Fill(0xFFFFFFFF);
  {
    TdxGPCanvas canvas(bmp.DC());
    canvas.DrawBitmap(&source, TRect{0, 0, 2, 2});
    canvas.DrawBitmap(&source, TRect{2, 0, 4, 2}, 128);
  }
  EXPECT_NEAR(int(bmp.At(0, 0) & 0xFF), 127, 2);
  EXPECT_NEAR(int(bmp.At(2, 0) & 0xFF), 191, 2);
  TBitmap empty;
  TdxGPCanvas canvas(bmp.DC());
  canvas.DrawBitmap(&empty, TRect{0, 0, 2, 2});  // nothing, no error
}

}  // namespace
}  // namespace qd
