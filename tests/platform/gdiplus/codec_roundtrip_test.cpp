#include <gtest/gtest.h>

#include <unistd.h>

#include "codec_test_util.h"
#include "platform/base/strings.h"
#include "platform/gdiplus/codec_io.h"

namespace qd::codecs {
namespace {

using namespace test;

enum class Kind { Opaque, Smooth, Alpha, Transparent, FewColours, Grey, Single };

struct Picture {
  int W, H;
  std::vector<uint32_t> Px;
};

Picture Make(Kind kind) {
  switch (kind) {
    case Kind::Opaque:
      return {17, 5, Pattern(17, 5)};
    case Kind::Smooth:
      return {64, 48, Smooth(64, 48)};
    case Kind::Alpha: {
      Picture p{23, 9, Pattern(23, 9)};
      for (int i = 0; i < p.W * p.H; ++i)
        p.Px[size_t(i)] = (p.Px[size_t(i)] & 0xFFFFFF) | uint32_t(i * 7 % 256) << 24;
      return p;
    }
    case Kind::Transparent: {
      Picture p{6, 4, Pattern(6, 4)};
      for (uint32_t& px : p.Px) px &= 0xFFFFFF;
      return p;
    }
    case Kind::FewColours: {
      const uint32_t colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0, 0xFF123456};
      Picture p{11, 7, {}};
      for (int i = 0; i < p.W * p.H; ++i) p.Px.push_back(colours[(i * 5 + i / 11) % 6]);
      return p;
    }
    case Kind::Grey: {
      Picture p{16, 16, {}};
      for (int i = 0; i < 256; ++i) p.Px.push_back(0xFF000000u | uint32_t(i) * 0x010101);
      return p;
    }
    case Kind::Single:
      return {1, 1, {0xFF336699}};
  }
  return {};
}

const char* Name(Kind k) {
  const char* names[] = {"opaque", "smooth", "alpha", "transparent", "few colours", "grey", "single"};
  return names[int(k)];
}

bool HasAlpha(const Picture& p) {
  return std::any_of(p.Px.begin(), p.Px.end(), [](uint32_t x) { return A(x) != 255; });
}

// What each format must give back for each kind of picture.
TEST(CodecRoundTrip, FormatsTimesPixelKinds) {
  const ImageFormat formats[] = {ImageFormat::PNG, ImageFormat::BMP, ImageFormat::TIFF, ImageFormat::JPEG,
                                 ImageFormat::GIF};
  const Kind kinds[] = {Kind::Opaque,     Kind::Smooth, Kind::Alpha, Kind::Transparent,
                        Kind::FewColours, Kind::Grey,   Kind::Single};
  for (ImageFormat format : formats) {
    for (Kind kind : kinds) {
      const Picture pic = Make(kind);
      SCOPED_TRACE(std::string(Name(kind)) + " as format " + std::to_string(int(format)));
      Bytes file;
      ASSERT_EQ(Encode(MakeImage(pic.W, pic.H, pic.Px), format, file), Status::Ok);
      EXPECT_EQ(DetectFormat(file), format);
      ImageInfo info;
      ASSERT_EQ(ProbeHeader(file, info), Status::Ok);
      EXPECT_EQ(info.Width, pic.W);
      EXPECT_EQ(info.Height, pic.H);
      Image back;
      ASSERT_EQ(Decode(file, back), Status::Ok);
      ASSERT_EQ(back.Frames.size(), 1u);
      ASSERT_EQ(back.Width(), pic.W);
      ASSERT_EQ(back.Height(), pic.H);
      const std::vector<uint32_t>& got = back.Frames[0].Pixels;

      switch (format) {
        case ImageFormat::PNG:
        case ImageFormat::BMP:
        case ImageFormat::TIFF:
          EXPECT_EQ(got, pic.Px);
          EXPECT_EQ(back.SourceKind, HasAlpha(pic) ? PixelKind::Argb32 : PixelKind::Rgb24);
          break;
        case ImageFormat::JPEG: {
          // Alpha is dropped; the result is what libjpeg itself makes of the colours at
          // the default quality, and smooth pictures come back close.
          JpegSpec spec;
          spec.Width = pic.W, spec.Height = pic.H, spec.Quality = 75;
          Image reference;
          ASSERT_EQ(Decode(WriteJpeg(spec, RgbSamples(pic.Px)), reference), Status::Ok);
          EXPECT_EQ(got, reference.Frames[0].Pixels);
          if (kind == Kind::Smooth || kind == Kind::Grey || kind == Kind::Single) {
            int worst = 0;
            for (size_t i = 0; i < got.size(); ++i)
              worst = std::max(worst, MaxChannelDiff(got[i], pic.Px[i]));
            EXPECT_LE(worst, 8);
          }
          EXPECT_EQ(back.SourceKind, PixelKind::Rgb24);
          break;
        }
        case ImageFormat::GIF: {
          // Alpha below half becomes transparent; up to 256 colours come back exactly.
          const bool exact = kind != Kind::Smooth && kind != Kind::Alpha && kind != Kind::Opaque;
          int worst = 0;
          for (size_t i = 0; i < got.size(); ++i) {
            if (A(pic.Px[i]) < 128) {
              ASSERT_EQ(got[i], 0u) << i;
              continue;
            }
            ASSERT_EQ(A(got[i]), 255u) << i;
            worst = std::max(worst, MaxChannelDiff(got[i], pic.Px[i] | 0xFF000000u));
          }
          EXPECT_LE(worst, exact ? 0 : 16);
          EXPECT_EQ(back.SourceKind, PixelKind::Indexed8);
          break;
        }
        default:
          break;
      }
    }
  }
}

TEST(CodecRoundTrip, ResolutionIsKept) {
  struct Case {
    ImageFormat format;
    double tolerance;  // -1: not stored
  } cases[] = {{ImageFormat::PNG, 0.02},
               {ImageFormat::BMP, 0.02},
               {ImageFormat::TIFF, 1e-3},
               {ImageFormat::JPEG, 0},
               {ImageFormat::GIF, -1}};
  for (const auto& c : cases) {
    Bytes file;
    ASSERT_EQ(Encode(MakeImage(2, 2, Pattern(2, 2), 120, 72), c.format, file), Status::Ok);
    Image back;
    ASSERT_EQ(Decode(file, back), Status::Ok);
    if (c.tolerance < 0) {
      EXPECT_EQ(back.DpiX, 96.0);
      continue;
    }
    EXPECT_NEAR(back.DpiX, 120, c.tolerance) << int(c.format);
    EXPECT_NEAR(back.DpiY, 72, c.tolerance) << int(c.format);
  }
}

TEST(CodecRoundTrip, EncoderOptions) {
  const Picture pic = Make(Kind::Smooth);
  const Image image = MakeImage(pic.W, pic.H, pic.Px);
  Bytes low, high, def;
  EncodeOptions options;
  options.Quality = 10;
  ASSERT_EQ(Encode(image, ImageFormat::JPEG, low, options), Status::Ok);
  options.Quality = 100;
  ASSERT_EQ(Encode(image, ImageFormat::JPEG, high, options), Status::Ok);
  ASSERT_EQ(Encode(image, ImageFormat::JPEG, def), Status::Ok);
  EXPECT_LT(low.size(), def.size());
  EXPECT_LT(def.size(), high.size());
  options.Quality = 101;
  EXPECT_EQ(Encode(image, ImageFormat::JPEG, low, options), Status::InvalidParameter);
  EXPECT_TRUE(low.empty());

  // Forced 24-bit BMP drops alpha; TIFF with deflate reads back the same.
  const Picture alpha = Make(Kind::Alpha);
  Bytes bmp, tiff;
  EncodeOptions bmp24;
  bmp24.BmpBitCount = 24;
  ASSERT_EQ(Encode(MakeImage(alpha.W, alpha.H, alpha.Px), ImageFormat::BMP, bmp, bmp24), Status::Ok);
  Image back;
  ASSERT_EQ(Decode(bmp, back), Status::Ok);
  for (size_t i = 0; i < alpha.Px.size(); ++i) ASSERT_EQ(back.Frames[0].Pixels[i], alpha.Px[i] | 0xFF000000u);
  EncodeOptions deflate;
  deflate.Tiff = TiffCompression::Deflate;
  ASSERT_EQ(Encode(MakeImage(alpha.W, alpha.H, alpha.Px), ImageFormat::TIFF, tiff, deflate), Status::Ok);
  ASSERT_EQ(Decode(tiff, back), Status::Ok);
  EXPECT_EQ(back.Frames[0].Pixels, alpha.Px);
}

TEST(CodecRoundTrip, TiffWritesEveryFrameAsAPage) {
  Image image = MakeImage(3, 2, Pattern(3, 2));
  Frame second;
  second.Width = 2, second.Height = 5, second.Pixels = Pattern(2, 5, 9);
  second.Pixels[3] &= 0x7FFFFFFF;
  image.Frames.push_back(second);
  Bytes file;
  ASSERT_EQ(Encode(image, ImageFormat::TIFF, file), Status::Ok);
  Image back;
  ASSERT_EQ(Decode(file, back), Status::Ok);
  ASSERT_EQ(back.Frames.size(), 2u);
  EXPECT_EQ(back.Frames[0].Pixels, image.Frames[0].Pixels);
  EXPECT_EQ(back.Frames[1].Pixels, second.Pixels);
}

TEST(CodecRoundTrip, RefusesWhatCannotBeEncoded) {
  Image broken = MakeImage(4, 4, std::vector<uint32_t>(15));
  struct Case {
    const char* name;
    Image image;
    ImageFormat format;
    Status status;
  } cases[] = {
      {"no frame", Image{}, ImageFormat::PNG, Status::InvalidParameter},
      {"pixel count", broken, ImageFormat::PNG, Status::InvalidParameter},
      {"emf", MakeImage(1, 1, {0}), ImageFormat::EMF, Status::NotImplemented},
      {"icon", MakeImage(1, 1, {0}), ImageFormat::Icon, Status::NotImplemented},
      {"gif too wide", MakeImage(70000, 1, std::vector<uint32_t>(70000)), ImageFormat::GIF,
       Status::InvalidParameter},
  };
  for (const auto& c : cases) {
    Bytes out = {1, 2, 3};
    EXPECT_EQ(Encode(c.image, c.format, out), c.status) << c.name;
    EXPECT_TRUE(out.empty()) << c.name;
  }
}

TEST(CodecRoundTrip, DecodeFileReportsFileErrors) {
  char dir[] = "/tmp/qdcodecsXXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string path = std::string(dir) + "/picture.png";
  Bytes png;
  ASSERT_EQ(Encode(MakeImage(3, 3, Pattern(3, 3)), ImageFormat::PNG, png), Status::Ok);
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(png.data(), 1, png.size(), f);
  std::fclose(f);

  Image image;
  EXPECT_EQ(DecodeFile(Utf8ToString(path), image), Status::Ok);
  EXPECT_EQ(image.Width(), 3);
  EXPECT_EQ(DecodeFile(Utf8ToString(std::string(dir) + "/missing.png"), image), Status::FileNotFound);
  EXPECT_TRUE(image.Frames.empty());
  EXPECT_EQ(DecodeFile(Utf8ToString(std::string(dir)), image), Status::AccessDenied);
  std::remove(path.c_str());
  rmdir(dir);
}

}  // namespace
}  // namespace qd::codecs
