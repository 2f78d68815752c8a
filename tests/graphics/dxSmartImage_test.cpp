// The smart-image model over fake codecs: the codec repository, the pixel checks, lazy
// decoding (sizes from header probes, verbatim saving, deferred resizing), undecodable data,
// field values, the drawing cache, and frame stepping on the virtual clock.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/base/variant.h"
#include "tests/core/ui_core_test_util.h"
#include "tests/graphics/graphics_test_util.h"
#include "tests/graphics/smart_image_test_util.h"
#include "ui/core/cxClassesComponents.h"
#include "ui/core/cxClassesTimer.h"
#include "ui/graphics/dxSmartImage.h"

namespace qd {
namespace {

using testing::ImageBytes;

int fakeDecodes = 0;

// Draws one opaque colour; the pixels it was made from answer its pixel questions.
class FakeSmartHandle : public TdxSmartImageCustomHandle, public IdxImageDataFormat {
 public:
  FakeSmartHandle(TSize ASize, TRGBColors ABits) : FSize(ASize), FBits(std::move(ABits)) {}
  void GetSize(TSize& ASize) override { ASize = FSize; }
  void SetSize(const TSize& ASize) override {
    FSize = ASize;
    FBits.assign(size_t(ASize.cx) * size_t(ASize.cy), FBits.empty() ? RGBQUAD{} : FBits[0]);
  }
  TRGBColors GetAsBitmapBits() override { return FBits; }
  using TdxSmartImageCustomHandle::Draw;
  void Draw(HDC DC, const TRect& ADest, const TRect&, uint8_t, IdxColorPalette*) override {
    const RGBQUAD q = FBits.empty() ? RGBQUAD{} : FBits[0];
    HBRUSH brush = CreateSolidBrush(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
    FillRect(DC, &ADest, brush);
    DeleteObject(brush);
  }
  TdxImageDataFormat GetImageFormat() override { return dxImageIcon; }

  TSize FSize;
  TRGBColors FBits;
};

// Three frames of one pixel each; the active frame is recorded.
class FakeAnimatedHandle : public FakeSmartHandle, public IdxAnimatedImage {
 public:
  FakeAnimatedHandle(int32_t AFrames, int32_t ALoops)
      : FakeSmartHandle(TSize{1, 1}, TRGBColors(1, RGBQUAD{0, 0, 0, 255})),
        FFrames(AFrames),
        FLoops(ALoops) {}
  int32_t GetActiveFrame() override { return FFrame; }
  int32_t GetAnimationFrameCount() override { return FFrames; }
  int32_t GetAnimationFrameDelay() override { return 50; }
  int32_t GetAnimationLoopCount() override { return FLoops; }
  void SetActiveFrame(int32_t AIndex) override { FFrame = AIndex; }

  int32_t FFrames, FLoops, FFrame = 0;
};

// "FAKE", 16-bit width and height, then the BGRA colour of every pixel; "FANI", a frame
// count and a loop count for an animated one. Pixels are accepted too.
class FakeSmartCodec : public TdxSmartImageCodec {
  QD_SMART_IMAGE_CODEC(FakeSmartCodec)
 public:
  TdxImageDataFormat ID() const override { return dxImageIcon; }
  String Ext() const override { return u".fake"; }
  bool CanLoadFromBits() const override { return true; }
  bool CanLoadStream(TStream* AStream) const override { return Header(AStream) != 0; }
  bool GetSize(TStream* AStream, TSize& ASize) const override {
    uint8_t b[8];
    if (Header(AStream) != 'K' || AStream->Read(b, 8) != 8) return false;
    ASize = TSize{b[4] | b[5] << 8, b[6] | b[7] << 8};
    return true;
  }
  bool Load(const TRGBColors& ABits, TAlphaFormat, int32_t AWidth, int32_t AHeight,
            std::unique_ptr<TdxSmartImageCustomHandle>& AHandle) const override {
    AHandle = std::make_unique<FakeSmartHandle>(TSize{AWidth, AHeight}, ABits);
    return true;
  }
  bool Load(TStream* AStream, std::unique_ptr<TdxSmartImageCustomHandle>& AHandle) const override {
    uint8_t b[12];
    const char kind = Header(AStream);
    if (!kind || AStream->Read(b, 12) != 12) return false;
    ++fakeDecodes;
    if (kind == 'I') {
      AHandle = std::make_unique<FakeAnimatedHandle>(b[4], b[6]);
      return true;
    }
    const TSize size{b[4] | b[5] << 8, b[6] | b[7] << 8};
    AHandle = std::make_unique<FakeSmartHandle>(
        size, TRGBColors(size_t(size.cx) * size_t(size.cy), RGBQUAD{b[8], b[9], b[10], b[11]}));
    return true;
  }
  bool Save(TStream* AStream, TdxSmartImageCustomHandle* AHandle) const override {
    if (failSaving) return false;
    TSize size;
    AHandle->GetSize(size);
    const TRGBColors bits = AHandle->GetAsBitmapBits();
    const RGBQUAD q = bits.empty() ? RGBQUAD{} : bits[0];
    ImageBytes b{'F', 'A', 'K', 'E'};
    testing::PutLE16(b, uint32_t(size.cx)), testing::PutLE16(b, uint32_t(size.cy));
    b.insert(b.end(), {q.rgbBlue, q.rgbGreen, q.rgbRed, q.rgbReserved});
    testing::WriteBytes(*AStream, b);
    return true;
  }

  static inline bool failSaving = false;

 private:
  // 'K' for a still image, 'I' for an animated one, 0 for anything else; the position stays.
  static char Header(TStream* AStream) {
    const int64_t p = AStream->Position();
    char b[4] = {};
    const bool read = AStream->Read(b, 4) == 4;
    AStream->SetPosition(p);
    if (!read || b[0] != 'F' || b[1] != 'A') return 0;
    if (b[2] == 'K' && b[3] == 'E') return 'K';
    if (b[2] == 'N' && b[3] == 'I') return 'I';
    return 0;
  }
};

// Reads a little of the stream and fails.
class GreedySmartCodec : public TdxSmartImageCodec {
  QD_SMART_IMAGE_CODEC(GreedySmartCodec)
 public:
  String Ext() const override { return u".greedy"; }
  bool GetSize(TStream* AStream, TSize&) const override {
    uint8_t b[3];
    AStream->Read(b, 3);
    return false;
  }
};

// Counts the caches it makes.
class CachingSmartImage : public TdxCustomSmartImage {
 public:
  int caches = 0;

 protected:
  std::unique_ptr<TdxSmartImageCustomHandle> CreateCache(const TSize& ASize) override {
    ++caches;
    return std::make_unique<FakeSmartHandle>(ASize, TRGBColors(size_t(ASize.cx) * size_t(ASize.cy)));
  }
};

ImageBytes FakeFile(int AWidth, int AHeight, RGBQUAD AColor = {10, 20, 30, 255}) {
  ImageBytes b{'F', 'A', 'K', 'E'};
  testing::PutLE16(b, uint32_t(AWidth)), testing::PutLE16(b, uint32_t(AHeight));
  b.insert(b.end(), {AColor.rgbBlue, AColor.rgbGreen, AColor.rgbRed, AColor.rgbReserved});
  return b;
}

ImageBytes FakeAnimation(int AFrames, int ALoops) {
  ImageBytes b{'F', 'A', 'N', 'I'};
  testing::PutLE16(b, uint32_t(AFrames)), testing::PutLE16(b, uint32_t(ALoops));
  b.insert(b.end(), 4, 0);
  return b;
}

void LoadBytes(TdxCustomSmartImage& AImage, const ImageBytes& ABytes) {
  TMemoryStream s;
  testing::WriteBytes(s, ABytes);
  s.SetPosition(0);
  AImage.LoadFromStream(&s);
}

ImageBytes SavedBytes(TdxCustomSmartImage& AImage) {
  TMemoryStream s;
  AImage.SaveToStream(&s);
  return testing::StreamBytes(s);
}

class SmartImageTest : public testing::UiCoreTest {
 protected:
  void SetUp() override {
    testing::UiCoreTest::SetUp();
    cxClasses::Initialize();
    dxSmartImage::Initialize();
    // What the graphics unit's start-up installs: frames step on a timer.
    SetImageAnimationControllerClass(&TdxImageAnimationController::CreateController);
    TdxSmartImageCodecsRepository::Register(FakeSmartCodec::Class());
    fakeDecodes = 0;
    FakeSmartCodec::failSaving = false;
  }
  // The frames an animation shows, stepped by the controller's timer on the virtual clock.
  std::vector<int32_t> PlayedFrames(TdxCustomSmartImage& AImage) {
    std::vector<int32_t> frames{AImage.ActiveFrame()};
    struct Recorder {
      TdxCustomSmartImage* image;
      std::vector<int32_t>* frames;
      void Changed(TObject*) { frames->push_back(image->ActiveFrame()); }
    } recorder{&AImage, &frames};
    AImage.OnChange = TNotifyEvent(&recorder, &Recorder::Changed);
    AImage.StartAnimation();
    for (int i = 0; i < 100 && AImage.Animation(); ++i) Run(50, 50);
    AImage.OnChange = nullptr;
    return frames;
  }

  void TearDown() override {
    TdxSmartImageCodecsRepository::Unregister(FakeSmartCodec::Class());
    SetImageAnimationControllerClass(nullptr);
    dxSmartImage::Finalize();
    cxClasses::Finalize();
    testing::UiCoreTest::TearDown();
  }
};

TEST_F(SmartImageTest, TheRepositoryAsksItsCodecsInRegistrationOrder) {
  TdxSmartImageCodecsRepository::Unregister(FakeSmartCodec::Class());
  EXPECT_EQ(TdxSmartImageCodecsRepository::GetCount(), 0);
  EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatByExt(u".fake"), nullptr);
  TMemoryStream s;
  testing::WriteBytes(s, FakeFile(5, 7));
  s.SetPosition(0);
  TSize size;
  TdxSmartImageCodecClass codec = nullptr;
  EXPECT_FALSE(TdxSmartImageCodecsRepository::GetImageInfo(&s, size, codec));
  EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatFromStream(&s), nullptr);

  // A codec that reads part of the header and fails does not disturb the next one.
  TdxSmartImageCodecsRepository::Register(GreedySmartCodec::Class());
  TdxSmartImageCodecsRepository::Register(FakeSmartCodec::Class());
  TdxSmartImageCodecsRepository::Register(FakeSmartCodec::Class());
  EXPECT_EQ(TdxSmartImageCodecsRepository::GetCount(), 3);
  ASSERT_TRUE(TdxSmartImageCodecsRepository::GetImageInfo(&s, size, codec));
  EXPECT_EQ(codec, FakeSmartCodec::Class());
  EXPECT_EQ(size, (TSize{5, 7}));
  s.SetPosition(0);
  EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatFromStream(&s), FakeSmartCodec::Class());
  EXPECT_EQ(s.Position(), 0);

  EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatByExt(u".FAKE"), FakeSmartCodec::Class());
  EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatByExt(u"fake"), nullptr);
  EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatByID(dxImageIcon), FakeSmartCodec::Class());
  EXPECT_EQ(FakeSmartCodec::Class()->Description(), u"FAKE graphics from Calderwisp");

  // Registering twice gave two entries; the last one's removal frees the list.
  TdxSmartImageCodecsRepository::Unregister(FakeSmartCodec::Class());
  EXPECT_TRUE(TdxSmartImageCodecsRepository::Contains(FakeSmartCodec::Class()));
  TdxSmartImageCodecsRepository::Unregister(GreedySmartCodec::Class());
  EXPECT_EQ(TdxSmartImageCodecsRepository::GetCount(), 1);
}

TEST_F(SmartImageTest, PixelChecks) {
  struct Case {
    TRGBColors Bits;
    bool HasAlpha, Premultiplied;
  } cases[] = {
      {{}, false, true},
      {{RGBQUAD{0, 0, 0, 0}, RGBQUAD{0, 0, 0, 0}}, true, true},
      {{RGBQUAD{0, 0, 255, 0}}, false, false},
      {{RGBQUAD{0, 0, 0, 1}}, true, true},
      {{RGBQUAD{0, 0, 255, 128}}, true, false},
      {{RGBQUAD{128, 128, 128, 255}}, true, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TdxSmartImageHelper::HasAlpha(c.Bits), c.HasAlpha) << c.Bits.size();
    EXPECT_EQ(TdxSmartImageHelper::AreColorsPremultiplied(c.Bits), c.Premultiplied) << c.Bits.size();
  }
}

TEST_F(SmartImageTest, LoadedBytesStayUndecodedUntilDrawnAndAreSavedVerbatim) {
  TdxCustomSmartImage image;
  const ImageBytes file = FakeFile(16, 8);
  LoadBytes(image, file);
  EXPECT_FALSE(image.HandleAllocated());
  EXPECT_FALSE(image.Empty());
  EXPECT_EQ(image.Width(), 16);
  EXPECT_EQ(image.Height(), 8);
  EXPECT_EQ(SavedBytes(image), file);
  auto copy = image.Clone();
  EXPECT_EQ(SavedBytes(*copy), file);
  EXPECT_EQ(fakeDecodes, 0);
  EXPECT_FALSE(image.HandleAllocated());

  testing::TestBitmap target(20, 10);
  image.Draw(target.Canvas(), TRect{0, 0, 16, 8});
  EXPECT_EQ(fakeDecodes, 1);
  EXPECT_TRUE(image.HandleAllocated());
  EXPECT_EQ(target.Rgb(0, 0), 0x1E140Au);
  EXPECT_EQ(target.At(17, 0), testing::kSentinel);
  // Decoded, the image still writes the bytes it was loaded from.
  EXPECT_EQ(SavedBytes(image), file);
}

TEST_F(SmartImageTest, LoadingReadsFromThePositionToTheEnd) {
  TdxCustomSmartImage image;
  TMemoryStream s;
  testing::WriteBytes(s, {1, 2, 3});
  const ImageBytes file = FakeFile(2, 2);
  testing::WriteBytes(s, file);
  s.SetPosition(3);
  image.LoadFromStream(&s);
  EXPECT_EQ(SavedBytes(image), file);
  image.LoadFromStream(&s);  // at its end
  EXPECT_TRUE(image.Empty());
  EXPECT_FALSE(image.HandleAllocated());
}

TEST_F(SmartImageTest, ResizeIsDeferredUntilTheImageIsDecoded) {
  TdxCustomSmartImage image;
  const ImageBytes file = FakeFile(16, 16);
  LoadBytes(image, file);
  image.Resize(32, 32);
  EXPECT_EQ(image.Width(), 32);
  EXPECT_EQ(fakeDecodes, 0);
  EXPECT_EQ(SavedBytes(image), file);  // still the loaded bytes
  EXPECT_EQ(image.Handle()->GetWidth(), 32);
  EXPECT_EQ(fakeDecodes, 1);
  // The bytes no longer describe the image: saving encodes the resized one.
  EXPECT_EQ(SavedBytes(image), FakeFile(32, 32));

  TdxCustomSmartImage empty;
  empty.Handle();
  empty.Resize(3, 2);
  EXPECT_EQ(empty.Size(), (TSize{3, 2}));
  EXPECT_EQ(empty.AlphaState(), asNoAlpha);
  EXPECT_TRUE(empty.IsAlphaUsed());
}

TEST_F(SmartImageTest, UndecodableBytesRaiseAtTheFirstDrawAndAreStillSaved) {
  TdxCustomSmartImage image;
  const ImageBytes junk{'J', 'U', 'N', 'K', 0, 1, 2, 3};
  LoadBytes(image, junk);
  testing::TestBitmap target(4, 4);
  try {
    image.Draw(target.Canvas(), TRect{0, 0, 4, 4});
    ADD_FAILURE() << "drawn";
  } catch (const EdxException& e) {
    EXPECT_EQ(e.Message(), u"Unsupported image format.");
  }
  EXPECT_FALSE(image.HandleAllocated());
  EXPECT_EQ(SavedBytes(image), junk);
  EXPECT_THROW(image.CheckIsImageDataValid(), EdxException);
}

TEST_F(SmartImageTest, AnEncodingFailureKeepsTheDecodedImage) {
  TdxCustomSmartImage image;
  TRGBColors bits(4, RGBQUAD{1, 2, 3, 255});
  image.LoadFromBits(2, 2, bits, true);
  image.Handle();
  image.Resize(3, 3);  // bytes gone, only the handle holds the image
  FakeSmartCodec::failSaving = true;
  EXPECT_THROW(image.Dormant(), EdxException);
  EXPECT_TRUE(image.HandleAllocated());
  EXPECT_EQ(image.Size(), (TSize{3, 3}));
  FakeSmartCodec::failSaving = false;
  image.Dormant();
  EXPECT_FALSE(image.HandleAllocated());
  EXPECT_EQ(image.Size(), (TSize{3, 3}));
}

TEST_F(SmartImageTest, FieldValuesSkipTheirBlobHeaderOnlyWhenItMatches) {
  const ImageBytes file = FakeFile(3, 3);
  struct Case {
    ImageBytes Prefix;
    bool Skipped;
  } cases[] = {
      {{0x01, 0x00, 0x00, 0x01, uint8_t(file.size()), 0, 0, 0}, true},
      {{0x01, 0x00, 0x00, 0x01, uint8_t(file.size() + 1), 0, 0, 0}, false},
      {{}, true},
  };
  for (const Case& c : cases) {
    ImageBytes blob = c.Prefix;
    blob.insert(blob.end(), file.begin(), file.end());
    TdxCustomSmartImage image;
    image.LoadFromFieldValue(Variant::FromBytes(blob.data(), blob.size()));
    EXPECT_EQ(SavedBytes(image), c.Skipped ? file : blob) << c.Prefix.size();
  }
}

TEST_F(SmartImageTest, AlphaUseAndColourKey) {
  TdxCustomSmartImage image;
  image.LoadFromBits(2, 1, TRGBColors(2, RGBQUAD{0, 0, 0, 0}), true);
  EXPECT_TRUE(image.IsAlphaUsed());  // fully transparent counts as using alpha
  image.LoadFromBits(2, 1, TRGBColors(2, RGBQUAD{9, 9, 9, 255}), true);
  EXPECT_FALSE(image.IsAlphaUsed());
  // Short pixel arrays do not make an image.
  image.LoadFromBits(4, 4, TRGBColors(3), true);
  EXPECT_TRUE(image.Empty());

  // A transparent bitmap loses the colour of its bottom-left pixel.
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(2, 2);
  bitmap.Canvas()->Brush()->SetColor(clRed);
  bitmap.Canvas()->FillRect(TRect{0, 0, 2, 2});
  bitmap.Canvas()->SetPixels(1, 0, clBlue);
  bitmap.SetTransparent(true);
  image.SetBitmap(&bitmap);
  const TRGBColors bits = image.Handle()->GetAsBitmapBits();
  ASSERT_EQ(bits.size(), 4u);
  EXPECT_EQ(bits[0].rgbReserved, 0);
  EXPECT_EQ(bits[1].rgbReserved, 255);
  EXPECT_EQ(image.AlphaState(), asSemitransparent);
}

TEST_F(SmartImageTest, TheCacheIsMadeOnlyForMuchSmallerDrawsAndKeyedByThePalette) {
  CachingSmartImage image;
  image.LoadFromBits(256, 256, TRGBColors(256 * 256, RGBQUAD{0, 0, 0, 255}), true);
  image.SetUseCache(true);
  testing::TestBitmap target(256, 256);
  image.StretchDraw(target.DC(), TRect{0, 0, 200, 200});
  EXPECT_EQ(image.caches, 0);
  image.StretchDraw(target.DC(), TRect{0, 0, 64, 64});
  image.StretchDraw(target.DC(), TRect{10, 10, 74, 74});
  EXPECT_EQ(image.caches, 1);
  TdxSimpleColorPalette palette(0xFF000000, 0xFF000000);
  image.StretchDraw(target.DC(), TRect{0, 0, 64, 64}, 255, &palette);
  image.StretchDraw(target.DC(), TRect{0, 0, 64, 64}, 255, &palette);
  EXPECT_EQ(image.caches, 2);
  image.Changed();
  image.StretchDraw(target.DC(), TRect{0, 0, 64, 64}, 255, &palette);
  EXPECT_EQ(image.caches, 3);
}

TEST_F(SmartImageTest, AnimationsStepThroughTheirFramesOnTheTimer) {
  struct Case {
    TdxDefaultBoolean Loop;
    int32_t Loops;
    std::vector<int32_t> Frames;
  } cases[] = {
      {bFalse, 0, {0, 1, 2}},
      {bDefault, 2, {0, 1, 2, 0, 1, 2, 0, 1, 2}},
  };
  for (const Case& c : cases) {
    TdxCustomSmartImage image;
    LoadBytes(image, FakeAnimation(3, c.Loops));
    image.SetAnimationLoop(c.Loop);
    EXPECT_EQ(PlayedFrames(image), c.Frames);
    EXPECT_FALSE(image.Animation());
    EXPECT_EQ(image.ActiveFrame(), 2);
  }

  TdxCustomSmartImage still;
  LoadBytes(still, FakeFile(2, 2));
  still.StartAnimation();
  EXPECT_FALSE(still.Animation());
  EXPECT_EQ(still.AnimationFrameCount(), 1);

  TdxCustomSmartImage looping;
  LoadBytes(looping, FakeAnimation(3, 0));
  looping.SetAnimationFrameDelay(-5);
  EXPECT_EQ(looping.AnimationFrameDelay(), 50);  // the image's own
  looping.StartAnimation();
  EXPECT_TRUE(looping.Animation());
  Run(500, 50);
  EXPECT_TRUE(looping.Animation());
  looping.StopAnimation();
  EXPECT_FALSE(looping.Animation());
}

}  // namespace
}  // namespace qd
