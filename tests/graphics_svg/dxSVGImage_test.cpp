#include "ui/graphics/svg/dxSVGImage.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/graphics_svg/svg_test_util.h"

namespace qd::testing {
namespace {

// The SVG unit registered with the smart image repository, as at start-up.
class SVGImageCodecTest : public SVGTest {
 protected:
  void SetUp() override {
    SVGTest::SetUp();
    dxSVGImage::Initialize();
  }
  void TearDown() override {
    dxSVGImage::Finalize();
    SVGTest::TearDown();
  }

  static void Fill(TMemoryStream& AStream, const std::string& AText) {
    AStream.WriteBuffer(AText.data(), static_cast<int64_t>(AText.size()));
    AStream.SetPosition(0);
  }
  static std::string Text(TMemoryStream& AStream) {
    return std::string(static_cast<const char*>(AStream.Memory()), static_cast<size_t>(AStream.Size()));
  }
};

// Left half red, right half blue.
const std::string kHalves =
    R"svg(<svg width="20" height="10" viewBox="0 0 2 1"><rect width="1" height="1" fill="#FF0000"/>)svg"
    R"svg(<rect x="1" width="1" height="1" fill="#0000FF"/></svg>)svg";
// What the codec keeps of kHalves: the document as read, re-written with indentation.
const std::string kHalvesSaved =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<svg width=\"20\" height=\"10\" viewBox=\"0 0 2 1\">\r\n"
    "\t<rect width=\"1\" height=\"1\" fill=\"#FF0000\"/>\r\n"
    "\t<rect x=\"1\" width=\"1\" height=\"1\" fill=\"#0000FF\"/>\r\n"
    "</svg>\r\n";

TEST_F(SVGImageCodecTest, TheRepositoryRecognisesSVGStreamsAndForgetsThemAtShutDown) {
  TdxSmartImageCodecClass codec = TdxSVGImageCodec::Class();
  EXPECT_TRUE(TdxSmartImageCodecsRepository::Contains(codec));
  EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatByExt(u".SVG"), codec);
  TMemoryStream stream;
  Fill(stream, kHalves);
  EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatFromStream(&stream), codec);
  EXPECT_EQ(stream.Position(), 0);
  TSize size{};
  TdxSmartImageCodecClass found = nullptr;
  ASSERT_TRUE(TdxSmartImageCodecsRepository::GetImageInfo(&stream, size, found));
  EXPECT_EQ(found, codec);
  EXPECT_EQ(size.cx, 20);
  EXPECT_EQ(size.cy, 10);

  // Another XML document is not an SVG.
  TMemoryStream other;
  Fill(other, "<html><svg/></html>");
  EXPECT_NE(TdxSmartImageCodecsRepository::GetFormatFromStream(&other), codec);

  dxSVGImage::Finalize();
  EXPECT_FALSE(TdxSmartImageCodecsRepository::Contains(codec));
  EXPECT_NE(TdxSmartImageCodecsRepository::GetFormatFromStream(&stream), codec);
  dxSVGImage::Initialize();
  EXPECT_TRUE(TdxSmartImageCodecsRepository::Contains(codec));
}

TEST_F(SVGImageCodecTest, ASmartImageDecodesDrawsAndSavesTheSource) {
  TMemoryStream stream;
  Fill(stream, kHalves);
  TdxSmartImage image;
  image.LoadFromStream(&stream);
  EXPECT_EQ(image.Width(), 20);
  EXPECT_EQ(image.Height(), 10);

  TestBitmap bmp(40, 20, 0xFFFFFFFF);
  image.StretchDraw(bmp.DC(), TRect{0, 0, 40, 20});
  bmp.SavePng("svg_smart_image_halves", 4);
  EXPECT_TRUE(NearPx(bmp.At(5, 10), 0xFFFF0000)) << std::hex << bmp.At(5, 10);
  EXPECT_TRUE(NearPx(bmp.At(34, 10), 0xFF0000FF)) << std::hex << bmp.At(34, 10);

  // The decoded handle is the SVG one: a vector image whose format is the SVG codec.
  auto* handle = dynamic_cast<TdxSVGImageHandle*>(image.TdxCustomSmartImage::Handle());
  ASSERT_NE(handle, nullptr);
  EXPECT_NE(image.Supports<IdxVectorImage>(), nullptr);
  EXPECT_EQ(image.ImageCodec(), TdxSVGImageCodec::Class());
  EXPECT_EQ(handle->GetAlphaState(), asSemitransparent);
  std::unique_ptr<TBitmap> asBitmap = handle->GetAsBitmap();
  EXPECT_EQ(asBitmap->Width(), 20);
  EXPECT_EQ(asBitmap->Height(), 10);

  TMemoryStream saved;
  image.SaveToStream(&saved);
  EXPECT_EQ(Text(saved), kHalvesSaved);

  TdxSVGImage svg;
  stream.SetPosition(0);
  svg.LoadFromStream(&stream);
  ASSERT_NE(svg.Handle(), nullptr);
  TMemoryStream savedBySVG;
  svg.SaveToStream(&savedBySVG);
  EXPECT_EQ(Text(savedBySVG), kHalvesSaved);
}

}  // namespace
}  // namespace qd::testing
