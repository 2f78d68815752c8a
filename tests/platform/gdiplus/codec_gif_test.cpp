#include <gtest/gtest.h>

#include "codec_test_util.h"
#include "platform/gdiplus/codec_io.h"

namespace qd::codecs {
namespace {

using namespace test;

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kClear = 0;

// Four frames on a 4 x 3 screen exercising every disposal method and transparency.
GifSpec Animation() {
  GifSpec s;
  s.Width = 4, s.Height = 3;
  s.Colors = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  s.LoopCount = 0;
  GifFrameSpec f0{0, 0, 4, 3, Bytes(12, 1)};
  f0.Delay = 10, f0.Disposal = DISPOSE_DO_NOT;
  GifFrameSpec f1{1, 1, 2, 2, {2, 3, 3, 2}};
  f1.Delay = 20, f1.Disposal = DISPOSE_BACKGROUND, f1.Transparent = 3;
  GifFrameSpec f2{0, 0, 1, 1, {3}};
  f2.Disposal = DISPOSE_PREVIOUS;
  GifFrameSpec f3{3, 0, 1, 1, {2}};
  f3.WriteGce = false;
  s.Frames = {f0, f1, f2, f3};
  return s;
}

std::vector<uint32_t> Rows(std::initializer_list<uint32_t> px) {
  return px;
}

TEST(CodecGif, ComposesFramesWithDisposalAndTransparency) {
  Image image;
  ASSERT_EQ(Decode(WriteGif(Animation()), image), Status::Ok);
  EXPECT_EQ(image.Format, ImageFormat::GIF);
  EXPECT_EQ(image.SourceKind, PixelKind::Indexed8);
  EXPECT_EQ(image.Dimension, FrameDimension::Time);
  EXPECT_EQ(image.DimensionGuid(), kFrameDimensionTime);
  ASSERT_EQ(image.Frames.size(), 4u);
  const std::vector<uint32_t> expected[4] = {
      Rows({kRed, kRed, kRed, kRed,  //
            kRed, kRed, kRed, kRed,  //
            kRed, kRed, kRed, kRed}),
      Rows({kRed, kRed, kRed, kRed,    //
            kRed, kGreen, kRed, kRed,  //
            kRed, kRed, kGreen, kRed}),
      // Frame 1 was disposed to the background (transparent) before frame 2 was drawn.
      Rows({kBlue, kRed, kRed, kRed,     //
            kRed, kClear, kClear, kRed,  //
            kRed, kClear, kClear, kRed}),
      // Frame 2 was disposed by restoring what was there before it.
      Rows({kRed, kRed, kRed, kGreen,    //
            kRed, kClear, kClear, kRed,  //
            kRed, kClear, kClear, kRed}),
  };
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(image.Frames[i].Width, 4);
    EXPECT_EQ(image.Frames[i].Height, 3);
    EXPECT_EQ(image.Frames[i].Pixels, expected[i]) << "frame " << i;
  }
  const PropertyItem* delays = image.FindProperty(PropertyTagFrameDelay);
  ASSERT_NE(delays, nullptr);
  EXPECT_EQ(delays->Type, PropertyTagTypeLong);
  EXPECT_EQ(delays->Value, (Bytes{10, 0, 0, 0, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  const PropertyItem* palette = image.FindProperty(PropertyTagGlobalPalette);
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(palette->Value, (Bytes{0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255}));
  EXPECT_EQ(image.Palette.Entries, (std::vector<uint32_t>{0xFF000000, kRed, kGreen, kBlue}));
}

TEST(CodecGif, LoopCountFromTheNetscapeExtension) {
  struct Case {
    int loop;  // -1: no extension
  } cases[] = {{-1}, {0}, {3}, {65535}};
  for (const auto& c : cases) {
    GifSpec s = Animation();
    s.LoopCount = c.loop;
    Image image;
    ASSERT_EQ(Decode(WriteGif(s), image), Status::Ok) << c.loop;
    const PropertyItem* loop = image.FindProperty(PropertyTagLoopCount);
    if (c.loop < 0) {
      EXPECT_EQ(loop, nullptr);
    } else {
      ASSERT_NE(loop, nullptr) << c.loop;
      EXPECT_EQ(loop->Type, PropertyTagTypeShort);
      EXPECT_EQ(loop->Value, (Bytes{uint8_t(c.loop), uint8_t(c.loop >> 8)})) << c.loop;
    }
  }
}

TEST(CodecGif, InterlacedAndLocalColourTables) {
  const int w = 5, h = 11;
  Bytes indices(w * h);
  for (int i = 0; i < w * h; ++i) indices[size_t(i)] = uint8_t((i * 7 + i / w) % 4);
  GifSpec plain;
  plain.Width = w, plain.Height = h;
  plain.Colors = {{0, 0, 0}, {10, 20, 30}, {40, 50, 60}, {70, 80, 90}};
  plain.Frames = {GifFrameSpec{0, 0, w, h, indices}};
  GifSpec interlaced = plain;
  interlaced.Frames[0].Interlace = true;
  GifSpec local = plain;
  local.Frames[0].LocalColors = {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}};

  Image a, b, c;
  ASSERT_EQ(Decode(WriteGif(plain), a), Status::Ok);
  ASSERT_EQ(Decode(WriteGif(interlaced), b), Status::Ok);
  ASSERT_EQ(Decode(WriteGif(local), c), Status::Ok);
  const uint32_t global[4] = {0xFF000000, 0xFF0A141E, 0xFF28323C, 0xFF46505A};
  for (int i = 0; i < w * h; ++i) {
    ASSERT_EQ(a.Frames[0].Pixels[size_t(i)], global[indices[size_t(i)]]) << i;
    ASSERT_EQ(b.Frames[0].Pixels[size_t(i)], global[indices[size_t(i)]]) << i;
    const uint32_t v = indices[size_t(i)] + 1u;
    ASSERT_EQ(c.Frames[0].Pixels[size_t(i)], Argb(255, v, v, v)) << i;
  }
}

TEST(CodecGif, FirstFrameOnlyStillListsEveryDelay) {
  DecodeOptions options;
  options.AllFrames = false;
  Image image;
  ASSERT_EQ(Decode(WriteGif(Animation()), image, options), Status::Ok);
  EXPECT_EQ(image.Frames.size(), 1u);
  const PropertyItem* delays = image.FindProperty(PropertyTagFrameDelay);
  ASSERT_NE(delays, nullptr);
  EXPECT_EQ(delays->Value.size(), 16u);
}

TEST(CodecGif, CutShortKeepsWholeFrames) {
  const Bytes full = WriteGif(Animation());
  // Find where the third image descriptor starts: the cut falls inside the third frame.
  size_t third = 0;
  int seen = 0;
  for (size_t i = 13 + 12; i < full.size(); ++i) {
    if (full[i] == 0x2C && full[i - 1] == 0 && ++seen == 3) {
      third = i;
      break;
    }
  }
  ASSERT_GT(third, 0u);
  Image image;
  ASSERT_EQ(Decode(Bytes(full.begin(), full.begin() + std::ptrdiff_t(third + 12)), image), Status::Ok);
  EXPECT_EQ(image.Frames.size(), 2u);
  const PropertyItem* delays = image.FindProperty(PropertyTagFrameDelay);
  ASSERT_NE(delays, nullptr);
  EXPECT_EQ(delays->Value.size(), 8u);

  // Cut inside the first frame: nothing to show.
  Image none;
  EXPECT_EQ(Decode(Bytes(full.begin(), full.begin() + 40), none), Status::InvalidParameter);
}

}  // namespace
}  // namespace qd::codecs
