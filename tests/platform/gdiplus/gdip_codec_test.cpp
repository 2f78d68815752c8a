// The encoder and decoder lists, saving and loading through streams and files, frames and
// properties of loaded images.
#include <cstdio>
#include <cstring>
#include <map>

#include "gdip_test_util.h"
#include "platform/base/strings.h"
#include "platform/classes/stream_adapter.h"
#include "platform/gdiplus/gdip_stream.h"

// After the platform's headers: the image libraries define TRUE and FALSE as macros.
#include "codec_test_util.h"

namespace qd::gdiplus::test {
namespace {

using GdipCodec = GdipTest;

std::vector<ImageCodecInfo> List(bool encoders, std::vector<uint8_t>& storage) {
  UINT n = 0, size = 0;
  EXPECT_EQ((encoders ? GdipGetImageEncodersSize : GdipGetImageDecodersSize)(&n, &size), Ok);
  storage.assign(size, 0);
  auto* info = reinterpret_cast<ImageCodecInfo*>(storage.data());
  EXPECT_EQ((encoders ? GdipGetImageEncoders : GdipGetImageDecoders)(n, size, info), Ok);
  EXPECT_EQ((encoders ? GdipGetImageEncoders : GdipGetImageDecoders)(n, size - 1, info), InvalidParameter);
  return {info, info + n};
}

TEST_F(GdipCodec, EncoderAndDecoderLists) {
  std::vector<uint8_t> encBytes, decBytes;
  auto enc = List(true, encBytes);
  auto dec = List(false, decBytes);
  std::vector<std::u16string> encMimes, decMimes;
  for (const auto& c : enc) {
    encMimes.push_back(c.MimeType);
    EXPECT_TRUE(c.Flags & ImageCodecFlagsEncoder);
    // The strings and signatures lie inside the buffer the caller gave.
    EXPECT_GE(reinterpret_cast<const uint8_t*>(c.CodecName), encBytes.data());
    EXPECT_LT(reinterpret_cast<const uint8_t*>(c.SigMask + c.SigCount * c.SigSize - 1),
              encBytes.data() + encBytes.size());
  }
  for (const auto& c : dec) decMimes.push_back(c.MimeType);
  EXPECT_EQ(encMimes, (std::vector<std::u16string>{u"image/bmp", u"image/jpeg", u"image/gif", u"image/tiff",
                                                   u"image/png"}));
  EXPECT_EQ(decMimes,
            (std::vector<std::u16string>{u"image/bmp", u"image/jpeg", u"image/gif", u"image/tiff",
                                         u"image/png", u"image/x-icon", u"image/x-emf", u"image/x-wmf"}));
  // Each format's codec has the same class identifier in both lists, and names its raw format.
  EXPECT_EQ(enc[4].Clsid, CLSID_PngCodec);
  EXPECT_EQ(dec[4].Clsid, CLSID_PngCodec);
  EXPECT_EQ(enc[4].FormatID, ImageFormatPNG);
  EXPECT_EQ(std::u16string(enc[1].FilenameExtension), u"*.JPG;*.JPEG;*.JPE;*.JFIF");
  EXPECT_EQ(dec[2].SigCount, 2u);
  EXPECT_EQ(std::memcmp(dec[2].SigPattern, "GIF89a", 6), 0);
}

// A 4 x 3 picture with a translucent pixel.
std::vector<uint32_t> Picture() {
  std::vector<uint32_t> px(12);
  for (int i = 0; i < 12; ++i)
    px[i] = 0xFF000000u | uint32_t(i * 20) << 16 | uint32_t(255 - i * 20) << 8 | 0x40;
  px[5] = 0x80FF0000;
  return px;
}

GpBitmap* MakePicture(std::vector<uint32_t>& px) {
  GpBitmap* b = nullptr;
  EXPECT_EQ(GdipCreateBitmapFromScan0(4, 3, 16, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(px.data()), &b),
            Ok);
  return b;
}

TEST_F(GdipCodec, SaveAndLoadRoundTripsThroughAStream) {
  auto px = Picture();
  GpBitmap* b = MakePicture(px);
  struct Case {
    const CLSID* clsid;
    GUID raw;
    int tolerance;  // per channel; -1: only the size is checked
    bool alpha;
  };
  const Case cases[] = {{&CLSID_PngCodec, ImageFormatPNG, 0, true},
                        {&CLSID_BmpCodec, ImageFormatBMP, 0, true},
                        {&CLSID_TiffCodec, ImageFormatTIFF, 0, true},
                        {&CLSID_GifCodec, ImageFormatGIF, -1, false},
                        {&CLSID_JpegCodec, ImageFormatJPEG, -1, false}};
  for (const Case& k : cases) {
    MemoryStream stream;
    ASSERT_EQ(GdipSaveImageToStream(b, &stream, k.clsid, nullptr), Ok);
    ASSERT_GT(stream.Bytes().size(), 20u);
    stream.Seek(0, STREAM_SEEK_SET, nullptr);
    GpImage* loaded = nullptr;
    ASSERT_EQ(GdipLoadImageFromStream(&stream, &loaded), Ok);
    GUID raw;
    GdipGetImageRawFormat(loaded, &raw);
    EXPECT_EQ(raw, k.raw);
    UINT w = 0, h = 0;
    GdipGetImageWidth(loaded, &w);
    GdipGetImageHeight(loaded, &h);
    EXPECT_EQ(w, 4u);
    EXPECT_EQ(h, 3u);
    if (k.tolerance >= 0)
      for (int i = 0; i < 12; ++i) {
        ARGB v;
        GdipBitmapGetPixel(static_cast<GpBitmap*>(loaded), i % 4, i / 4, &v);
        uint32_t want = k.alpha ? px[i] : px[i] | 0xFF000000u;
        EXPECT_LE(codecs::test::MaxChannelDiff(v, want), k.tolerance) << i;
      }
    GdipDisposeImage(loaded);
  }
  GdipDisposeImage(b);
}

TEST_F(GdipCodec, JpegQualityAndEncoderParameters) {
  auto px = codecs::test::Pattern(64, 64);
  GpBitmap* b = nullptr;
  ASSERT_EQ(
      GdipCreateBitmapFromScan0(64, 64, 256, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(px.data()), &b),
      Ok);
  auto save = [&](LONG quality, Status want) {
    EncoderParameters params;
    params.Count = 1;
    params.Parameter[0].Guid = EncoderQuality;
    params.Parameter[0].Type = EncoderParameterValueTypeLong;
    params.Parameter[0].NumberOfValues = 1;
    params.Parameter[0].Value = &quality;
    MemoryStream s;
    EXPECT_EQ(GdipSaveImageToStream(b, &s, &CLSID_JpegCodec, &params), want);
    return s.Bytes().size();
  };
  size_t low = save(5, Ok), high = save(95, Ok);
  EXPECT_LT(low * 2, high);
  save(101, InvalidParameter);
  MemoryStream s;
  const CLSID unknown{1, 2, 3, {}};
  EXPECT_EQ(GdipSaveImageToStream(b, &s, &unknown, nullptr), FileNotFound);
  EXPECT_EQ(GdipSaveImageToStream(b, &s, &CLSID_IconCodec, nullptr), FileNotFound);  // decoder only
  EXPECT_TRUE(s.Bytes().empty());
  GdipDisposeImage(b);
}

TEST_F(GdipCodec, LoadingRefusesWhatItCannotDecode) {
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    Status want;
  };
  std::vector<uint8_t> emf(88, 0);
  emf[0] = 1;     // EMR_HEADER
  emf[40] = ' ';  // " EMF" signature at offset 40
  emf[41] = 'E';
  emf[42] = 'M';
  emf[43] = 'F';
  std::vector<uint8_t> wmf = {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  auto png = codecs::test::WritePngArgb(2, 2, codecs::test::Pattern(2, 2));
  std::vector<uint8_t> cut(png.begin(), png.begin() + 40);
  const Case cases[] = {
      {"empty", {}, UnknownImageFormat},
      {"text", {'h', 'e', 'l', 'l', 'o'}, UnknownImageFormat},
      {"enhanced metafile header without records", emf, InvalidParameter},
      {"placeable metafile header without records", wmf, InvalidParameter},
      {"cut PNG", cut, InvalidParameter},
  };
  for (const Case& k : cases) {
    MemoryStream s(k.bytes);
    GpImage* image = nullptr;
    EXPECT_EQ(GdipLoadImageFromStream(&s, &image), k.want) << k.what;
  }
  GpImage* image = nullptr;
  EXPECT_EQ(GdipLoadImageFromFile(u"/nonexistent/picture.png", &image), FileNotFound);
  EXPECT_EQ(image, nullptr);
}

TEST_F(GdipCodec, FilesAndClassLibraryStreams) {
  auto px = Picture();
  GpBitmap* b = MakePicture(px);
  std::string path = std::string(QD_BINARY_DIR) + "/gdip_codec_test.png";
  String wide = Utf8ToString(path);
  ASSERT_EQ(GdipSaveImageToFile(b, wide.c_str(), &CLSID_PngCodec, nullptr), Ok);
  GpBitmap* fromFile = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromFile(wide.c_str(), &fromFile), Ok);
  ARGB v;
  GdipBitmapGetPixel(fromFile, 1, 1, &v);
  EXPECT_EQ(v, px[5]);
  GdipDisposeImage(fromFile);

  // Through the class library's adapter, from where the stream stands.
  TMemoryStream ms;
  ms.WriteBuffer("junk", 4);
  auto bytes = codecs::test::ReadFileBytes(path);
  ms.WriteBuffer(bytes.data(), int64_t(bytes.size()));
  ms.SetPosition(4);
  TStreamAdapter adapter(&ms);
  GpImage* image = nullptr;
  ASSERT_EQ(GdipLoadImageFromStream(&adapter, &image), Ok);
  GdipBitmapGetPixel(static_cast<GpBitmap*>(image), 1, 1, &v);
  EXPECT_EQ(v, px[5]);
  STATSTG stat;
  ASSERT_EQ(adapter.Stat(&stat, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(stat.cbSize, uint64_t(ms.Size()));
  // Saving appends at the position.
  TMemoryStream out;
  TStreamAdapter outAdapter(&out);
  ASSERT_EQ(GdipSaveImageToStream(image, &outAdapter, &CLSID_BmpCodec, nullptr), Ok);
  EXPECT_GT(out.Size(), 54);
  GdipDisposeImage(image);
  GdipDisposeImage(b);
  std::remove(path.c_str());
}

TEST_F(GdipCodec, AnimatedGifFramesAndProperties) {
  codecs::test::GifSpec spec;
  spec.Width = 2;
  spec.Height = 1;
  spec.Colors = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {0, 0, 0}};
  spec.LoopCount = 3;
  for (int i = 0; i < 3; ++i) {
    codecs::test::GifFrameSpec f;
    f.Width = 2;
    f.Height = 1;
    f.Indices = {uint8_t(i), uint8_t(i)};
    f.Delay = 10 * (i + 1);
    spec.Frames.push_back(f);
  }
  MemoryStream s(codecs::test::WriteGif(spec));
  GpImage* image = nullptr;
  ASSERT_EQ(GdipLoadImageFromStream(&s, &image), Ok);
  UINT dims = 0;
  ASSERT_EQ(GdipImageGetFrameDimensionsCount(image, &dims), Ok);
  ASSERT_EQ(dims, 1u);
  GUID dim;
  ASSERT_EQ(GdipImageGetFrameDimensionsList(image, &dim, 1), Ok);
  EXPECT_EQ(dim, FrameDimensionTime);
  UINT frames = 0;
  ASSERT_EQ(GdipImageGetFrameCount(image, &dim, &frames), Ok);
  EXPECT_EQ(frames, 3u);
  EXPECT_EQ(GdipImageGetFrameCount(image, &FrameDimensionPage, &frames), InvalidParameter);

  ARGB v;
  const uint32_t colors[3] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
  for (UINT i : {2u, 0u, 1u}) {
    ASSERT_EQ(GdipImageSelectActiveFrame(image, &dim, i), Ok);
    GdipBitmapGetPixel(static_cast<GpBitmap*>(image), 1, 0, &v);
    EXPECT_EQ(v, colors[i]) << i;
  }
  EXPECT_EQ(GdipImageSelectActiveFrame(image, &dim, 7), InvalidParameter);

  // Frame delays in hundredths of a second, after a header of sizeof(PropertyItem).
  UINT size = 0;
  ASSERT_EQ(GdipGetPropertyItemSize(image, PropertyTagFrameDelay, &size), Ok);
  ASSERT_EQ(size, sizeof(PropertyItem) + 12);
  std::vector<uint8_t> buffer(size);
  auto* item = reinterpret_cast<PropertyItem*>(buffer.data());
  ASSERT_EQ(GdipGetPropertyItem(image, PropertyTagFrameDelay, size, item), Ok);
  EXPECT_EQ(item->type, PropertyTagTypeLong);
  EXPECT_EQ(item->length, 12u);
  EXPECT_EQ(item->value, buffer.data() + sizeof(PropertyItem));
  uint32_t delays[3];
  std::memcpy(delays, item->value, 12);
  EXPECT_EQ(delays[0], 10u);
  EXPECT_EQ(delays[2], 30u);
  EXPECT_EQ(GdipGetPropertyItem(image, PropertyTagFrameDelay, size - 1, item), InvalidParameter);
  ASSERT_EQ(GdipGetPropertyItemSize(image, PropertyTagLoopCount, &size), Ok);
  buffer.assign(size, 0);
  item = reinterpret_cast<PropertyItem*>(buffer.data());
  ASSERT_EQ(GdipGetPropertyItem(image, PropertyTagLoopCount, size, item), Ok);
  uint16_t loops = 0;
  std::memcpy(&loops, item->value, 2);
  EXPECT_EQ(loops, 3);
  EXPECT_EQ(GdipGetPropertyItemSize(image, 0x9999, &size), PropertyNotFound);

  UINT count = 0, total = 0;
  ASSERT_EQ(GdipGetPropertyCount(image, &count), Ok);
  std::vector<PROPID> ids(count);
  ASSERT_EQ(GdipGetPropertyIdList(image, count, ids.data()), Ok);
  EXPECT_NE(std::find(ids.begin(), ids.end(), PropertyTagFrameDelay), ids.end());
  ASSERT_EQ(GdipGetPropertySize(image, &total, &count), Ok);
  buffer.assign(total, 0);
  ASSERT_EQ(GdipGetAllPropertyItems(image, total, count, reinterpret_cast<PropertyItem*>(buffer.data())), Ok);
  ASSERT_EQ(GdipRemovePropertyItem(image, PropertyTagLoopCount), Ok);
  EXPECT_EQ(GdipGetPropertyItemSize(image, PropertyTagLoopCount, &size), PropertyNotFound);

  // A PNG has one page.
  GpImage* single = nullptr;
  MemoryStream p(codecs::test::WritePngArgb(2, 2, codecs::test::Pattern(2, 2)));
  ASSERT_EQ(GdipLoadImageFromStream(&p, &single), Ok);
  ASSERT_EQ(GdipImageGetFrameDimensionsList(single, &dim, 1), Ok);
  EXPECT_EQ(dim, FrameDimensionPage);
  ASSERT_EQ(GdipImageGetFrameCount(single, &dim, &frames), Ok);
  EXPECT_EQ(frames, 1u);
  GdipDisposeImage(single);
  GdipDisposeImage(image);
}

}  // namespace
}  // namespace qd::gdiplus::test
