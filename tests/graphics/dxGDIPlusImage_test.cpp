// The GDI+ smart images: header probes over real small files (and every truncation of
// them), decoding, drawing, PNG saving, flipping, frames, the stored form's pictures,
// clipboard exchange and the glyph's source size and DPI.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/resources.h"
#include "platform/base/strings.h"
#include "platform/classes/encoding.h"
#include "platform/classes/filer.h"
#include "platform/forms/clipbrd.h"
#include "platform/os/user_clipboard.h"
#include "tests/core/ui_core_test_util.h"
#include "tests/graphics/graphics_test_util.h"
#include "tests/graphics/smart_image_test_util.h"
#include "ui/core/cxClassesComponents.h"
#include "ui/graphics/dxGDIPlusImage.h"

namespace qd {
namespace {

using codecs::ImageFormat;
using testing::ImageBytes;

class GpImageTest : public testing::UiCoreTest {
 protected:
  void SetUp() override {
    testing::UiCoreTest::SetUp();
    cxClasses::Initialize();
    gdiplus::RegisterModule();
    ASSERT_TRUE(CheckGdiPlus(false));
    dxGDIPlusClasses::Initialize();
    dxGDIPlusCanvas::Initialize();
    dxSmartImage::Initialize();
    // What the graphics unit's start-up installs: frames step on a timer.
    SetImageAnimationControllerClass(&TdxImageAnimationController::CreateController);
    dxGDIPlusImage::Initialize();
    os::ResetClipboardForTesting();
  }
  void TearDown() override {
    dxGDIPlusImage::Finalize();
    SetImageAnimationControllerClass(nullptr);
    dxSmartImage::Finalize();
    dxGDIPlusCanvas::Finalize();
    dxGDIPlusClasses::Finalize();
    GdiPlusUnload();
    cxClasses::Finalize();
    testing::UiCoreTest::TearDown();
  }

  static void Load(TdxCustomSmartImage& AImage, const ImageBytes& ABytes) {
    TMemoryStream s;
    testing::WriteBytes(s, ABytes);
    s.SetPosition(0);
    AImage.LoadFromStream(&s);
  }
  static ImageBytes Saved(TdxCustomSmartImage& AImage) {
    TMemoryStream s;
    AImage.SaveToStream(&s);
    return testing::StreamBytes(s);
  }
};

struct ProbeCase {
  const char* Name;
  ImageBytes File;
  TdxImageDataFormat Format;  // of the codec that answers; dxImageUnknown: none does
  TSize Size;
};

TEST_F(GpImageTest, HeaderProbesTellFormatAndSizeAndFailCleanlyOnTruncatedData) {
  ImageBytes gif87 = testing::EncodedImage(ImageFormat::GIF, 7, 5, 0xFF00FF00);
  gif87[4] = '7';
  ImageBytes gif88 = gif87;
  gif88[4] = '8';
  const ProbeCase cases[] = {
      {"png 1x1", testing::EncodedImage(ImageFormat::PNG, 1, 1, 0xFF102030), dxImagePng, {1, 1}},
      {"png", testing::EncodedImage(ImageFormat::PNG, 37, 21, 0x80FF0000), dxImagePng, {37, 21}},
      {"jpeg", testing::EncodedImage(ImageFormat::JPEG, 33, 17, 0xFF0000FF), dxImageJpeg, {33, 17}},
      {"jpeg exif", testing::JpegHeader(0xC0, 640, 480, true), dxImageJpeg, {640, 480}},
      {"jpeg progressive", testing::JpegHeader(0xC2, 640, 480, false), dxImageUnknown, {}},
      {"gif89a", testing::EncodedImage(ImageFormat::GIF, 7, 5, 0xFF00FF00), dxImageGif, {7, 5}},
      {"gif87a", gif87, dxImageGif, {7, 5}},
      {"gif88a", gif88, dxImageUnknown, {}},
      {"bmp top-down", testing::BmpHeader(false, 30, -100), dxImageBitmap, {30, -100}},
      {"bmp core", testing::BmpHeader(true, 300, 2), dxImageBitmap, {300, 2}},
      {"bmp", testing::EncodedImage(ImageFormat::BMP, 3, 4, 0xFF000000), dxImageBitmap, {3, 4}},
      {"tiff little-endian", testing::TiffHeader(false, 640, 480), dxImageTiff, {640, 480}},
      {"tiff big-endian", testing::TiffHeader(true, 64, 48), dxImageTiff, {64, 48}},
      {"tiff", testing::EncodedImage(ImageFormat::TIFF, 5, 3, 0xFFFFFFFF), dxImageTiff, {5, 3}},
      {"emf", testing::EmfHeader(120, 80), dxImageEmf, {120, 80}},
      {"wmf placeable", testing::WmfHeader(200, 100), dxImageWmf, {200, 100}},
  };
  for (const ProbeCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TMemoryStream s;
    testing::WriteBytes(s, {0xEE, 0xEE});  // the probes start at the position
    testing::WriteBytes(s, c.File);
    s.SetPosition(2);
    TSize size;
    TdxSmartImageCodecClass codec = nullptr;
    const bool known = TdxSmartImageCodecsRepository::GetImageInfo(&s, size, codec);
    EXPECT_EQ(known, c.Format != dxImageUnknown);
    if (known) {
      EXPECT_EQ(codec->ID(), c.Format);
      EXPECT_EQ(size, c.Size);
    }
    // Every cut short version: no answer beyond the data, never a crash or a wrong size.
    const size_t limit = std::min<size_t>(c.File.size(), 200);
    for (size_t n = 0; n < limit; ++n) {
      TMemoryStream cut;
      cut.WriteBuffer(c.File.data(), int64_t(n));
      cut.SetPosition(0);
      TSize cutSize;
      TdxSmartImageCodecClass cutCodec = nullptr;
      if (TdxSmartImageCodecsRepository::GetImageInfo(&cut, cutSize, cutCodec)) {
        EXPECT_EQ(cutSize, c.Size) << n << " bytes";
      }
      cut.SetPosition(0);
      TdxSmartImageCodecsRepository::GetFormatFromStream(&cut);
      EXPECT_EQ(cut.Position(), 0);
    }
  }
}

TEST_F(GpImageTest, ProbesRejectLyingHeaders) {
  ImageBytes tiff = testing::TiffHeader(false, 640, 480);
  tiff[4] = 0xF0;  // the directory lies past the end
  ImageBytes jpeg = testing::JpegHeader(0xC0, 10, 10, false);
  jpeg[4] = 0, jpeg[5] = 0;  // a segment length of 0 would step back for ever
  for (const ImageBytes& file : {tiff, jpeg}) {
    TMemoryStream s;
    testing::WriteBytes(s, file);
    s.SetPosition(0);
    TSize size;
    TdxSmartImageCodecClass codec = nullptr;
    EXPECT_FALSE(TdxSmartImageCodecsRepository::GetImageInfo(&s, size, codec));
  }
}

TEST_F(GpImageTest, TheStoredFormsPicturesLoadUndecodedAndAreWrittenBackByteForByte) {
  TResourceStream form(u"TFORM_PRINCIPAL", RT_RCDATA);
  const TFormObject root = ParseStoredForm(DecodeTextBytes(form.ReadBytes(form.Size())));
  std::vector<TBytes> pictures;
  for (const auto& child : root.Children)
    for (const auto& p : child.Props)
      if (p.Name == u"Picture.Data") pictures.push_back(p.Value.Bytes);
  ASSERT_EQ(pictures.size(), 2u);
  const struct {
    TClass Class;
    TSize Size;
  } expected[] = {{TdxSmartImage::StaticClass(), {556, 290}}, {TdxPNGImage::StaticClass(), {379, 61}}};
  for (size_t i = 0; i < 2; ++i) {
    TPicture picture;
    TBytesStream in(pictures[i]);
    picture.ReadData(&in);
    auto* image = dynamic_cast<TdxSmartImage*>(picture.Graphic());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->ClassType(), expected[i].Class);
    EXPECT_EQ(image->Size(), expected[i].Size);
    EXPECT_FALSE(image->HandleAllocated());
    if (i == 0) {
      TBytesStream out;
      picture.WriteData(&out);
      EXPECT_EQ(TBytes(out.Bytes().begin(), out.Bytes().begin() + out.Size()), pictures[i]);
      EXPECT_FALSE(image->HandleAllocated());
    }
  }
}

TEST_F(GpImageTest, DecodesDrawsAndSavesThroughGdiPlus) {
  // 2 x 2: red, green / blue, half-transparent white.
  const ImageBytes png =
      testing::EncodedImage(ImageFormat::PNG, 2, 2, 0, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0x80FFFFFF});
  TdxSmartImage image;
  Load(image, png);
  testing::TestBitmap target(4, 4, 0xFF000000);
  image.Draw(target.Canvas(), TRect{1, 1, 3, 3});
  EXPECT_EQ(image.ImageDataFormat(), dxImagePng);
  EXPECT_EQ(target.Rgb(1, 1), 0xFF0000u);
  EXPECT_EQ(target.Rgb(2, 1), 0x00FF00u);
  EXPECT_EQ(target.Rgb(1, 2), 0x0000FFu);
  EXPECT_NEAR(int(target.Rgb(2, 2) & 0xFF), 128, 2);  // white at half over black
  EXPECT_EQ(target.Rgb(0, 0), 0u);
  EXPECT_EQ(image.AlphaState(), asSemitransparent);

  // A PNG image always writes PNG; a smart image writes the bytes it was given.
  const ImageBytes jpeg = testing::EncodedImage(ImageFormat::JPEG, 8, 8, 0xFF336699);
  TdxPNGImage asPng;
  Load(asPng, jpeg);
  const ImageBytes written = Saved(asPng);
  ASSERT_GE(written.size(), 8u);
  EXPECT_EQ(written[1], 'P');
  TdxSmartImage asJpeg;
  Load(asJpeg, jpeg);
  EXPECT_EQ(Saved(asJpeg), jpeg);

  // Converting the format re-encodes.
  asJpeg.SetImageDataFormat(dxImagePng);
  EXPECT_EQ(asJpeg.ImageDataFormat(), dxImagePng);
  EXPECT_EQ(Saved(asJpeg)[1], 'P');
}

TEST_F(GpImageTest, FlippingMirrorsPixelsAndResizingAnEmptyHandleGivesATransparentBitmap) {
  const ImageBytes png = testing::EncodedImage(ImageFormat::PNG, 2, 1, 0, {0xFFFF0000, 0xFF0000FF});
  TdxSmartImage image;
  Load(image, png);
  image.Flip(true, false);
  EXPECT_EQ(image.ImageDataFormat(), dxImageMemoryBmp);
  const TRGBColors bits = image.GetBitmapBits();
  ASSERT_EQ(bits.size(), 2u);
  EXPECT_EQ(bits[0].rgbBlue, 255);
  EXPECT_EQ(bits[1].rgbRed, 255);
  // The bytes it was loaded from no longer describe it.
  image.Dormant();
  EXPECT_EQ(image.GetBitmapBits()[0].rgbBlue, 255);

  TdxGPImageHandle empty;
  empty.Resize(TSize{16, 16}, 0, 0);
  EXPECT_EQ(empty.GetWidth(), 16);
  EXPECT_EQ(empty.GetAlphaState(), asNoAlpha);

  EXPECT_THROW(dxGetImageEncoder(dxImageExif), EdxException);
  EXPECT_THROW(dxGetImageEncoder(dxImageUnknown), EdxException);
  EXPECT_FALSE(IsCodecIDValid(dxGetImageEncoder(dxImageEmf)));
  TdxGPImageHandle nothing;
  TMemoryStream out;
  EXPECT_FALSE(TdxGPImageCodecEMF::Class()->Save(&out, &nothing));
  EXPECT_EQ(out.Size(), 0);
}

TEST_F(GpImageTest, AMuchSmallerCachedDrawOfAJpegDecodesAReducedPreviewOnly) {
  // Left half red, right half blue.
  std::vector<uint32_t> pixels(400 * 300);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = (i % 400) < 200 ? 0xFFFF0000 : 0xFF0000FF;
  const ImageBytes jpeg = testing::EncodedImage(ImageFormat::JPEG, 400, 300, 0, pixels);
  codecs::Image preview;
  codecs::DecodeOptions options;
  options.MinWidth = 90, options.MinHeight = 60;
  ASSERT_EQ(codecs::Decode(jpeg, preview, options), codecs::Status::Ok);
  EXPECT_EQ(preview.Width(), 100);  // a quarter: an eighth (50 x 38) would not cover the target
  EXPECT_EQ(preview.Height(), 75);
  options.ExactSize = true;  // averaged down while the rows are read
  ASSERT_EQ(codecs::Decode(jpeg, preview, options), codecs::Status::Ok);
  EXPECT_EQ(preview.Width(), 90);
  EXPECT_EQ(preview.Height(), 60);

  TdxSmartImage image;
  Load(image, jpeg);
  image.SetUseCache(true);
  testing::TestBitmap target(90, 60);
  image.StretchDraw(target.DC(), TRect{0, 0, 90, 60});
  EXPECT_FALSE(image.HandleAllocated());
  EXPECT_EQ(Saved(image), jpeg);
  const auto near = [](uint32_t a, uint32_t b) {
    for (int shift : {0, 8, 16})
      if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 12) return false;
    return true;
  };
  EXPECT_TRUE(near(target.Rgb(10, 30), 0xFF0000)) << std::hex << target.Rgb(10, 30);
  EXPECT_TRUE(near(target.Rgb(80, 30), 0x0000FF)) << std::hex << target.Rgb(80, 30);
  EXPECT_TRUE(near(target.Rgb(89, 59), 0x0000FF)) << std::hex << target.Rgb(89, 59);
}

TEST_F(GpImageTest, ImagesThatSharePixelsDoNotChangeEachOther) {
  TdxSmartImage a;
  a.LoadFromBits(2, 2, TRGBColors(4, RGBQUAD{0, 0, 255, 255}), true);
  TdxSmartImage b;
  b.Assign(&a);
  a.Handle();
  b.Handle();
  {
    auto canvas = a.CreateCanvas();
    canvas->FillRectangle(TRect{0, 0, 2, 2}, TdxAlphaColor(0xFF00FF00));
  }
  EXPECT_EQ(a.GetBitmapBits()[0].rgbGreen, 255);
  EXPECT_EQ(b.GetBitmapBits()[0].rgbRed, 255);
  EXPECT_EQ(b.GetBitmapBits()[0].rgbGreen, 0);
}

TEST_F(GpImageTest, FramesOfAnimatedGifs) {
  struct Case {
    ImageBytes File;
    int32_t Frames, Delay, Loops;
  } cases[] = {
      {testing::AnimatedGif(4, 10, 2), 4, 100, 2},
      {testing::AnimatedGif(2, -1, -1), 2, 0, 0},  // the decoder lists a delay of 0
      {testing::EncodedImage(ImageFormat::PNG, 2, 2, 0xFF000000), 1, 75, 0},
  };
  for (const Case& c : cases) {
    TdxSmartImage image;
    Load(image, c.File);
    EXPECT_EQ(image.AnimationFrameCount(), c.Frames);
    EXPECT_EQ(image.AnimationFrameDelay(), c.Delay);
    EXPECT_EQ(image.AnimationLoopCount(), c.Loops);
  }
  TdxSmartImage gif;
  Load(gif, testing::AnimatedGif(4, 10, 0));
  auto* handle = dynamic_cast<TdxGPImageHandle*>(gif.HandleAsObject());
  ASSERT_NE(handle, nullptr);
  handle->SetActiveFrame(7);
  EXPECT_EQ(handle->GetActiveFrame(), 0);
  EXPECT_EQ(TdxGPImageHandle().GetAnimationFrameCount(), 0);

  // Three frames, not looping: 0, 1, 2, then the animation stops on the last one.
  TdxSmartImage three;
  Load(three, testing::AnimatedGif(3, 5, 0));
  three.SetAnimationLoop(bFalse);
  std::vector<uint8_t> shown;
  struct Recorder {
    TdxSmartImage* image;
    std::vector<uint8_t>* shown;
    void Changed(TObject*) { shown->push_back(image->GetBitmapBits()[0].rgbRed); }
  } recorder{&three, &shown};
  three.OnChange = TNotifyEvent(&recorder, &Recorder::Changed);
  three.StartAnimation();
  EXPECT_TRUE(three.Animation());
  Run(200, 10);
  EXPECT_FALSE(three.Animation());
  EXPECT_EQ(three.ActiveFrame(), 2);
  EXPECT_EQ(shown, (std::vector<uint8_t>{255, 0}));  // white, then black again
}

TEST_F(GpImageTest, ClipboardCarriesABitmapAndTheImagesOwnBytes) {
  const UINT pngFormat = RegisterClipboardFormatW(u"PNG");
  const UINT jpegFormat = RegisterClipboardFormatW(u"JPEG");
  const ImageBytes png = testing::EncodedImage(ImageFormat::PNG, 3, 2, 0x80FF0000);
  TdxSmartImage image;
  Load(image, png);
  image.CopyToClipboard();
  EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
  EXPECT_TRUE(Clipboard()->HasFormat(pngFormat));
  EXPECT_TRUE(TdxSmartImage::HasClipboardFormat());
  // Pasting prefers the PNG bytes to the bitmap.
  TdxSmartImage pasted;
  pasted.PasteFromClipboard();
  EXPECT_EQ(Saved(pasted), png);

  const ImageBytes jpeg = testing::EncodedImage(ImageFormat::JPEG, 4, 4, 0xFF00FF00);
  TdxSmartImage photo;
  Load(photo, jpeg);
  photo.CutToClipboard();
  EXPECT_TRUE(photo.Empty());
  EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
  EXPECT_TRUE(Clipboard()->HasFormat(jpegFormat));
  EXPECT_FALSE(Clipboard()->HasFormat(pngFormat));

  // An image without a clipboard format of its own goes as a white-backed bitmap only.
  TdxSmartImage pixels;
  pixels.LoadFromBits(2, 1, TRGBColors{RGBQUAD{0, 0, 0, 0}, RGBQUAD{0, 0, 255, 255}}, true);
  pixels.CopyToClipboard();
  EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
  EXPECT_FALSE(Clipboard()->HasFormat(jpegFormat));
  TdxSmartImage fromBitmap;
  fromBitmap.PasteFromClipboard();
  const TRGBColors bits = fromBitmap.GetBitmapBits();
  ASSERT_EQ(bits.size(), 2u);
  EXPECT_EQ(bits[0].rgbRed, 255);
  EXPECT_EQ(bits[0].rgbGreen, 255);  // the transparent pixel over white
  EXPECT_EQ(bits[1].rgbRed, 255);
  EXPECT_EQ(bits[1].rgbGreen, 0);
}

TEST_F(GpImageTest, GlyphsKeepTheirSourceSizeAndDpi) {
  TdxSmartGlyph glyph;
  EXPECT_EQ(glyph.SourceDPI(), 96);
  Load(glyph, testing::EncodedImage(ImageFormat::PNG, 16, 12, 0xFF000000));
  EXPECT_EQ(glyph.GetSourceSize(), (TSize{16, 12}));
  glyph.SetSourceWidth(16);
  EXPECT_FALSE(glyph.IsSourceWidthStored());
  glyph.SetSourceWidth(32);
  EXPECT_EQ(glyph.GetSourceSize(), (TSize{32, 12}));
  glyph.SetSourceDPI(1000);
  EXPECT_EQ(glyph.SourceDPI(), 480);

  // A length-prefixed bitmap is a bitmap stream; a short one leaves the position alone.
  const ImageBytes bmp = testing::EncodedImage(ImageFormat::BMP, 2, 2, 0xFF00FF00);
  ImageBytes prefixed;
  testing::PutLE32(prefixed, uint32_t(bmp.size()));
  prefixed.insert(prefixed.end(), bmp.begin(), bmp.end());
  TdxSmartGlyph fromBitmap;
  Load(fromBitmap, prefixed);
  EXPECT_EQ(fromBitmap.Size(), (TSize{2, 2}));
  EXPECT_EQ(fromBitmap.ImageDataFormat(), dxImageMemoryBmp);
  TdxSmartGlyph shortOne;
  const ImageBytes png = testing::EncodedImage(ImageFormat::PNG, 1, 1, 0xFF000000);
  Load(shortOne, ImageBytes(png.begin(), png.begin() + 12));
  EXPECT_EQ(Saved(shortOne), ImageBytes(png.begin(), png.begin() + 12));
}

TEST_F(GpImageTest, TheUpdatersPicturesDrawnTogether) {
  TdxSmartImage fundo;
  TdxPNGImage logo;
  for (auto [image, name] : {std::pair<TdxSmartImage*, const Char*>{&fundo, u"FUNDO"}, {&logo, u"LOGO"}}) {
    auto bytes = FindEmbeddedResource("IMAGES", StringToUtf8(name));
    ASSERT_FALSE(bytes.empty());
    Load(*image, ImageBytes(bytes.begin(), bytes.end()));
  }
  testing::TestBitmap window(556, 290, 0xFFFFFFFF);
  window.Canvas()->StretchDraw(TRect{0, 0, 556, 290}, &fundo);
  window.Canvas()->StretchDraw(TRect{39, 70, 418, 131}, &logo);
  window.SavePng("smart_image_updater");
  testing::TestBitmap background(556, 290, 0xFFFFFFFF);
  background.Canvas()->StretchDraw(TRect{0, 0, 556, 290}, &fundo);
  // The background's dark top bar; the logo's transparent part keeps the background; the
  // stem of its "T" is dark blue.
  EXPECT_LT(window.Rgb(200, 1) & 0xFF, 0xA0u);
  EXPECT_EQ(window.At(400, 120), background.At(400, 120));
  EXPECT_NE(window.At(400, 120), 0xFFFFFFFFu);
  EXPECT_LT((window.Rgb(122, 110) >> 16) & 0xFF, 0x40u);
}

TEST_F(GpImageTest, DrawTileRepeatsTheImageFromTheDestinationCorner) {
  constexpr uint32_t kRed = 0xFFFF0000, kBlue = 0xFF0000FF;
  // A 4 x 4 image: red with a blue top-left pixel.
  std::vector<uint32_t> px(16, kRed);
  px[0] = kBlue;
  TRGBColors bits;
  for (uint32_t c : px)
    bits.push_back(RGBQUAD{uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16), uint8_t(c >> 24)});
  TdxGPImage picture;
  picture.LoadFromBits(4, 4, bits, false);
  TdxGPImage* image = &picture;
  testing::TestBitmap bmp(14, 10);
  for (uint8_t alpha : {uint8_t(255), uint8_t(254)}) {  // by brush, then by hand
    bmp.Fill(testing::kSentinel);
    {
      TdxGPCanvas canvas(bmp.DC());
      canvas.DrawTile(image, TRect{1, 1, 11, 8}, alpha);
    }
    bmp.SavePng("gdip_drawtile", 16);
    EXPECT_EQ(bmp.DrawnBounds(), (TRect{1, 1, 11, 8})) << int(alpha);
    // The blue corner pixel at the start of every cell, red elsewhere.
    for (TPoint p : {TPoint{1, 1}, TPoint{5, 1}, TPoint{9, 5}}) {
      EXPECT_GE(bmp.At(p.X, p.Y) & 0xFF, 0xFDu) << p.X;
      EXPECT_LT((bmp.At(p.X, p.Y) >> 16) & 0xFF, 3u) << p.X;
    }
    EXPECT_GE((bmp.At(2, 1) >> 16) & 0xFF, 0xFDu);
    EXPECT_GE((bmp.At(10, 7) >> 16) & 0xFF, 0xFDu);
  }
  // A source part: only the blue pixel, over every cell.
  bmp.Fill(testing::kSentinel);
  {
    TdxGPCanvas canvas(bmp.DC());
    canvas.DrawTile(image, TRect{0, 0, 3, 3}, 255, TRect{0, 0, 1, 1});
  }
  EXPECT_EQ(bmp.MaskOf(clBlue),
            testing::Rows({"###...........", "###...........", "###...........", "..............",
                           "..............", "..............", "..............", "..............",
                           "..............", ".............."}));
}

}  // namespace
}  // namespace qd
