// Image lists holding vector images: never cut, rendered into the cells, stored with the
// rendered cells once they are more than about a third of the list.
#include <gtest/gtest.h>

#include <string>

#include "platform/base/strings.h"
#include "platform/classes/filer.h"
#include "tests/graphics/image_list_test_util.h"
#include "tests/graphics_svg/svg_test_util.h"
#include "ui/core/cxClassesComponents.h"
#include "ui/graphics/cxGraphics.h"
#include "ui/graphics/cxImageList.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"

namespace qd::testing {
namespace {

class ImageListVectorTest : public SVGTest {
 protected:
  void SetUp() override {
    SVGTest::SetUp();
    cxClasses::Initialize();
    cxGraphics::Initialize();
    dxSmartImage::Initialize();
    dxGDIPlusImage::Initialize();
    dxSVGImage::Initialize();
    RegisterClass(TcxImageList::StaticClass());
  }
  void TearDown() override {
    UnRegisterClass(TcxImageList::StaticClass());
    dxSVGImage::Finalize();
    dxGDIPlusImage::Finalize();
    dxSmartImage::Finalize();
    cxGraphics::Finalize();
    cxClasses::Finalize();
    SVGTest::TearDown();
  }

  static std::unique_ptr<TdxSmartImage> Svg(const std::string& AText) {
    auto image = std::make_unique<TdxSmartImage>();
    TMemoryStream stream;
    stream.WriteBuffer(AText.data(), static_cast<int64_t>(AText.size()));
    stream.SetPosition(0);
    image->LoadFromStream(&stream);
    return image;
  }
  // A square of one colour (#RRGGBB).
  static std::unique_ptr<TdxSmartImage> SvgSquare(const char* AColor) {
    return Svg(std::string(R"(<svg width="16" height="16"><rect width="16" height="16" fill=")") + AColor +
               R"("/></svg>)");
  }
};

// 64 x 16: four 16 x 16 quarters, red, green, blue, yellow.
const std::string kVectorStrip =
    R"(<svg width="64" height="16" viewBox="0 0 4 1"><rect width="1" height="1" fill="#FF0000"/>)"
    R"(<rect x="1" width="1" height="1" fill="#00FF00"/><rect x="2" width="1" height="1" fill="#0000FF"/>)"
    R"(<rect x="3" width="1" height="1" fill="#FFFF00"/></svg>)";

TEST_F(ImageListVectorTest, AVectorStripIsOneImageStretchedIntoOneCell) {
  TcxImageList list(16, 16);
  auto strip = Svg(kVectorStrip);
  ASSERT_TRUE(TcxImageInfoHelper::IsVectorImage(strip.get()));
  EXPECT_EQ(list.GetImageCount(strip.get(), 16, 16), 1);
  EXPECT_EQ(list.Add(strip.get()), 0);
  ASSERT_EQ(list.Count(), 1);
  ASSERT_EQ(list.ImageInfos()->Count(), 1);
  TGraphic* kept = list.ImageInfos()->Items(0)->Image();
  EXPECT_EQ(kept->ClassName(), u"TdxSmartImage");
  EXPECT_TRUE(TcxImageInfoHelper::IsVectorImage(kept));
  EXPECT_EQ(list.ImageInfos()->Items(0)->ImageInfo()->ImageType(), u"SVG");
  // The whole strip squeezed into the cell: four bands of four pixels.
  const std::vector<uint32_t>& cell = list.Pixels(0);
  const uint32_t expected[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00};
  for (int band = 0; band < 4; ++band)
    EXPECT_TRUE(NearPx(cell[8 * 16 + band * 4 + 2], expected[band])) << band;

  // Drawn larger, the bands cover the target exactly, with sharp edges.
  TestBitmap target(64, 64, 0xFFFFFFFF);
  list.Draw(target.Canvas(), TRect{0, 0, 64, 64}, 0);
  target.SavePng("image_list_vector_strip", 2);
  EXPECT_EQ(target.Rgb(15, 32), 0xFF0000u);
  EXPECT_EQ(target.Rgb(16, 32), 0x00FF00u);
  EXPECT_EQ(target.Rgb(47, 32), 0x0000FFu);
  EXPECT_EQ(target.Rgb(48, 32), 0xFFFF00u);
}

TEST_F(ImageListVectorTest, RenderedCellsAreStoredOnlyWhenVectorsAreMoreThanAThird) {
  for (int vectors : {3, 4}) {
    TcxImageList list(16, 16);
    list.SetName(u"Images");
    for (int i = 0; i < vectors; ++i) list.Add(SvgSquare(i % 2 ? "#00FF00" : "#FF00FF").get());
    for (int i = vectors; i < 10; ++i)
      list.Add(SolidCells(16, 16, 1, 1, {0x203040u * (i + 1) & 0xFFFFFF}).get(), nullptr);
    ASSERT_EQ(list.Count(), 10);

    const String form = WriteComponentToText(&list);
    const std::string text = StringToUtf8(form);
    // MulDiv(10, 1, 3) = 3: four vectors are more, three are not.
    EXPECT_EQ(text.find("Bitmap = {") != std::string::npos, vectors == 4) << vectors;
    EXPECT_NE(text.find("ImageClass = 'TdxSmartImage'"), std::string::npos);

    TcxImageList read(nullptr);
    ReadComponentFromText(form, &read);
    ASSERT_EQ(read.Count(), 10) << vectors;
    ASSERT_EQ(read.ImageInfos()->Count(), 10) << vectors;
    for (int i = 0; i < 10; ++i) {
      EXPECT_EQ(TcxImageInfoHelper::IsVectorImage(read.ImageInfos()->Items(i)->Image()), i < vectors) << i;
      // Whether stored or rendered again, the cells are those of the list written.
      EXPECT_EQ(read.Pixels(i), list.Pixels(i)) << vectors << " " << i;
    }
  }
}

TEST_F(ImageListVectorTest, ImagesThatCannotBeDecodedAreDroppedWhenTheCellsAreRebuilt) {
  // One vector among three images: no stored cells, so the cells are rendered from the
  // images while reading, and the damaged one (an SVG cut short) fails to add like any other.
  TcxImageList list(16, 16);
  list.SetName(u"Images");
  list.Add(SolidCells(16, 16, 1, 1, {0xFF0000}).get(), nullptr);
  list.Add(SvgSquare("#00FF00").get());
  list.Add(SolidCells(16, 16, 1, 1, {0x0000FF}).get(), nullptr);
  std::string text = StringToUtf8(WriteComponentToText(&list));
  ASSERT_EQ(text.find("Bitmap = {"), std::string::npos);
  const size_t data = text.find("Image.Data = {", text.find("ImageClass = 'TdxSmartImage'")) + 14;
  text.replace(data, text.find('}', data) - data, "3C3F786D6C2076");  // "<?xml v"

  TcxImageList read(nullptr);
  ReadComponentFromText(Utf8ToString(text), &read);
  ASSERT_EQ(read.Count(), 2);
  ASSERT_EQ(read.ImageInfos()->Count(), 2);
  EXPECT_EQ(NativeColors(read), (std::vector<uint32_t>{0xFF0000, 0x0000FF}));
}

}  // namespace
}  // namespace qd::testing
