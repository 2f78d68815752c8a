#include <gtest/gtest.h>

#include "codec_test_util.h"
#include "platform/gdiplus/codec_io.h"

namespace qd::codecs {
namespace {

using namespace test;

// libjpeg's own decode of a file: RGB (or CMYK for four components), no conversion of ours.
Bytes ReferenceDecode(const Bytes& file, int& components) {
  jpeg_decompress_struct d;
  jpeg_error_mgr err;
  d.err = jpeg_std_error(&err);
  jpeg_create_decompress(&d);
  jpeg_mem_src(&d, file.data(), file.size());
  jpeg_read_header(&d, TRUE);
  d.out_color_space = d.num_components == 4 ? JCS_CMYK : d.num_components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_start_decompress(&d);
  components = d.output_components;
  Bytes out(size_t(d.output_width) * d.output_height * components);
  while (d.output_scanline < d.output_height) {
    JSAMPROW row = out.data() + size_t(d.output_scanline) * d.output_width * components;
    jpeg_read_scanlines(&d, &row, 1);
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
  return out;
}

uint32_t Ink(uint32_t c, uint32_t k) {
  return (c * k + 127) / 255;
}

TEST(CodecJpeg, DecodesColourSpacesLikeLibjpeg) {
  const int w = 48, h = 32;
  const std::vector<uint32_t> src = Smooth(w, h);
  Bytes grey, cmyk;
  for (uint32_t p : src) {
    grey.push_back(uint8_t(G(p)));
    cmyk.insert(cmyk.end(), {uint8_t(R(p)), uint8_t(G(p)), uint8_t(B(p)), uint8_t(200 + (p & 31))});
  }
  struct Case {
    const char* name;
    JpegSpec spec;
    const Bytes* samples;
    PixelKind kind;
    uint32_t colourSpace;
    bool inverted;  // for CMYK: Adobe's inverted inks
  };
  auto spec = [&](int components, J_COLOR_SPACE in, J_COLOR_SPACE file, bool progressive, bool adobe) {
    JpegSpec s;
    s.Width = w, s.Height = h, s.Components = components, s.InSpace = in, s.FileSpace = file;
    s.Progressive = progressive, s.AdobeMarker = adobe, s.Quality = 100;
    s.Jfif = components != 4;
    return s;
  };
  const Bytes rgb = RgbSamples(src);
  const Case cases[] = {
      {"baseline", spec(3, JCS_RGB, JCS_YCbCr, false, false), &rgb, PixelKind::Rgb24,
       ImageFlagsColorSpaceYCBCR},
      {"progressive", spec(3, JCS_RGB, JCS_YCbCr, true, false), &rgb, PixelKind::Rgb24,
       ImageFlagsColorSpaceYCBCR},
      {"greyscale", spec(1, JCS_GRAYSCALE, JCS_GRAYSCALE, false, false), &grey, PixelKind::Grey8,
       ImageFlagsColorSpaceGRAY},
      {"progressive greyscale", spec(1, JCS_GRAYSCALE, JCS_GRAYSCALE, true, false), &grey, PixelKind::Grey8,
       ImageFlagsColorSpaceGRAY},
      {"cmyk adobe", spec(4, JCS_CMYK, JCS_CMYK, false, true), &cmyk, PixelKind::Cmyk32,
       ImageFlagsColorSpaceCMYK, true},
      {"cmyk plain", spec(4, JCS_CMYK, JCS_CMYK, false, false), &cmyk, PixelKind::Cmyk32,
       ImageFlagsColorSpaceCMYK, false},
      {"ycck adobe", spec(4, JCS_CMYK, JCS_YCCK, false, true), &cmyk, PixelKind::Cmyk32,
       ImageFlagsColorSpaceYCCK, true},
      {"cmyk progressive", spec(4, JCS_CMYK, JCS_CMYK, true, true), &cmyk, PixelKind::Cmyk32,
       ImageFlagsColorSpaceCMYK, true},
  };
  for (const auto& c : cases) {
    const Bytes file = WriteJpeg(c.spec, *c.samples);
    Image image;
    ASSERT_EQ(Decode(file, image), Status::Ok) << c.name;
    EXPECT_EQ(image.Format, ImageFormat::JPEG) << c.name;
    EXPECT_EQ(image.SourceKind, c.kind) << c.name;
    EXPECT_TRUE(image.Flags & c.colourSpace) << c.name;
    ASSERT_EQ(image.Width(), w) << c.name;
    ASSERT_EQ(image.Height(), h) << c.name;
    int components = 0;
    const Bytes ref = ReferenceDecode(file, components);
    int worstToSource = 0;
    for (int i = 0; i < w * h; ++i) {
      const uint8_t* r = ref.data() + size_t(i) * components;
      uint32_t expected, source;
      if (components == 4) {
        // Both inks and key are inverted by Adobe's convention; plain files store amounts of ink.
        auto rgbOf = [&](const uint8_t* s) {
          const uint32_t k = c.inverted ? s[3] : 255 - s[3];
          auto ch = [&](uint32_t v) { return Ink(c.inverted ? v : 255 - v, k); };
          return Argb(255, ch(s[0]), ch(s[1]), ch(s[2]));
        };
        expected = rgbOf(r);
        source = rgbOf(c.samples->data() + size_t(i) * 4);
      } else if (components == 3) {
        expected = Argb(255, r[0], r[1], r[2]);
        source = src[size_t(i)];
      } else {
        expected = Argb(255, r[0], r[0], r[0]);
        source = Argb(255, G(src[size_t(i)]), G(src[size_t(i)]), G(src[size_t(i)]));
      }
      ASSERT_LE(MaxChannelDiff(image.Frames[0].Pixels[size_t(i)], expected), 1) << c.name << " pixel " << i;
      worstToSource = std::max(worstToSource, MaxChannelDiff(image.Frames[0].Pixels[size_t(i)], source));
    }
    EXPECT_LE(worstToSource, 12) << c.name;
  }
}

Bytes ExifBlock(uint16_t orientation, uint32_t resX, uint32_t resY, uint16_t unit) {
  Bytes b = {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 0x2A, 0};
  Put32(b, 8);
  Put16(b, 4);
  Put16(b, 0x0112), Put16(b, 3), Put32(b, 1), Put16(b, orientation), Put16(b, 0);
  Put16(b, 0x011A), Put16(b, 5), Put32(b, 1), Put32(b, 62);
  Put16(b, 0x011B), Put16(b, 5), Put32(b, 1), Put32(b, 70);
  Put16(b, 0x0128), Put16(b, 3), Put32(b, 1), Put16(b, unit), Put16(b, 0);
  Put32(b, 0);
  Put32(b, resX), Put32(b, 1);
  Put32(b, resY), Put32(b, 1);
  return b;
}

TEST(CodecJpeg, ResolutionFromJfifOrExif) {
  struct Case {
    const char* name;
    bool jfif;
    int unit, x, y;
    Bytes exif;
    double dpiX, dpiY;
    bool real;
    int orientation;  // 0: no property
  } cases[] = {
      {"jfif dpi", true, 1, 300, 150, {}, 300, 150, true, 0},
      {"jfif dots per cm", true, 2, 100, 50, {}, 254, 127, true, 0},
      {"jfif aspect only", true, 0, 1, 1, {}, 96, 96, false, 0},
      {"exif only", false, 0, 1, 1, ExifBlock(6, 200, 100, 2), 200, 100, true, 6},
      {"exif in cm", false, 0, 1, 1, ExifBlock(1, 100, 100, 3), 254, 254, true, 1},
      {"jfif wins over exif", true, 1, 72, 72, ExifBlock(3, 200, 200, 2), 72, 72, true, 3},
  };
  for (const auto& c : cases) {
    JpegSpec s;
    s.Width = 8, s.Height = 8, s.Jfif = c.jfif, s.DensityUnit = c.unit, s.DensityX = c.x, s.DensityY = c.y;
    s.App1 = c.exif;
    Image image;
    ASSERT_EQ(Decode(WriteJpeg(s, RgbSamples(Pattern(8, 8))), image), Status::Ok) << c.name;
    EXPECT_NEAR(image.DpiX, c.dpiX, 1e-9) << c.name;
    EXPECT_NEAR(image.DpiY, c.dpiY, 1e-9) << c.name;
    EXPECT_EQ((image.Flags & ImageFlagsHasRealDPI) != 0, c.real) << c.name;
    const PropertyItem* o = image.FindProperty(PropertyTagOrientation);
    if (c.orientation) {
      ASSERT_NE(o, nullptr) << c.name;
      EXPECT_EQ(o->Type, PropertyTagTypeShort);
      EXPECT_EQ(o->Value, (Bytes{uint8_t(c.orientation), 0})) << c.name;
    } else {
      EXPECT_EQ(o, nullptr) << c.name;
    }
  }
}

// A file cut short still shows the rows that arrived, as GDI+ shows partial downloads.
TEST(CodecJpeg, TruncatedFileKeepsTheRowsThatArrived) {
  const int w = 64, h = 64;
  const Bytes full = WriteJpegRgb(w, h, Smooth(w, h));
  Image whole, part;
  ASSERT_EQ(Decode(full, whole), Status::Ok);
  const Bytes cut(full.begin(), full.begin() + std::ptrdiff_t(full.size() * 3 / 4));
  ASSERT_EQ(Decode(cut, part), Status::Ok);
  ASSERT_EQ(part.Width(), w);
  for (int i = 0; i < w * 8; ++i)
    EXPECT_EQ(part.Frames[0].Pixels[size_t(i)], whole.Frames[0].Pixels[size_t(i)]);
}

}  // namespace
}  // namespace qd::codecs
