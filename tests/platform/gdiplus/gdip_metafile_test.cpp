// Metafile images: EMF and WMF loaded through the flat API, their size, type and pixels, and
// drawing them at other sizes.
#include <vector>

#include "gdip_test_util.h"
#include "platform/gdiplus/gdip_stream.h"
#include "tests/platform/os/metafile_test_util.h"

namespace qd::gdiplus::test {
namespace {

using GdipMetafile = GdipTest;

GpImage* LoadImage(const std::vector<uint8_t>& bytes, Status* status = nullptr) {
  MemoryStream s(bytes);
  GpImage* image = nullptr;
  Status st = GdipLoadImageFromStream(&s, &image);
  if (status) *status = st;
  return st == Ok ? image : nullptr;
}

TEST_F(GdipMetafile, RecordedEmfLoadsAsAMetafileImage) {
  GpImage* image = LoadImage(qd::testing::RecordSample(80, 72, true));
  ASSERT_NE(image, nullptr);
  ImageType type = ImageTypeUnknown;
  UINT w = 0, h = 0;
  GUID raw{};
  GdipGetImageType(image, &type);
  GdipGetImageWidth(image, &w);
  GdipGetImageHeight(image, &h);
  GdipGetImageRawFormat(image, &raw);
  EXPECT_EQ(type, ImageTypeMetafile);
  EXPECT_EQ(w, 80u);
  EXPECT_EQ(h, 72u);
  EXPECT_EQ(raw, ImageFormatEMF);
  // Pixels: opaque where the picture draws, transparent elsewhere, partly covered at the
  // text's antialiased edges.
  auto* b = reinterpret_cast<GpBitmap*>(image);
  ARGB v = 0;
  GdipBitmapGetPixel(b, 10, 10, &v);
  EXPECT_EQ(v, 0xFF0040C0u);
  GdipBitmapGetPixel(b, 57, 49, &v);
  EXPECT_EQ(v, 0xFFFF0000u);
  GdipBitmapGetPixel(b, 78, 2, &v);
  EXPECT_EQ(v >> 24, 0u);
  int partial = 0;
  for (int y = 60; y < 72; ++y)
    for (int x = 0; x < 80; ++x) {
      GdipBitmapGetPixel(b, x, y, &v);
      partial += (v >> 24) > 0 && (v >> 24) < 255;
    }
  EXPECT_GT(partial, 0);
  GpGraphics* g = nullptr;
  EXPECT_EQ(GdipGetImageGraphicsContext(image, &g), InvalidParameter);
  EXPECT_EQ(GdipBitmapSetPixel(b, 0, 0, 0xFF000000), InvalidParameter);
  GpImage* clone = nullptr;
  ASSERT_EQ(GdipCloneImage(image, &clone), Ok);
  GdipGetImageType(clone, &type);
  EXPECT_EQ(type, ImageTypeMetafile);
  GdipDisposeImage(clone);
  GdipDisposeImage(image);
}

TEST_F(GdipMetafile, DrawnLargerThePictureIsPlayedAgain) {
  GpImage* image = LoadImage(qd::testing::RecordSample(80, 72, false));
  ASSERT_NE(image, nullptr);
  Canvas c(160, 144);
  ASSERT_EQ(GdipDrawImageRectI(c.g, image, 0, 0, 160, 144), Ok);
  // Sharp edges: the rectangle (2,2)-(30,20) with its one-pixel red outline ends at x = 59,
  // and nothing of it bleeds into x = 60 as it would from the enlarged pixels.
  EXPECT_EQ(c.At(40, 20), 0xFF0040C0u);
  EXPECT_EQ(c.At(59, 20), 0xFFFF0000u);
  EXPECT_EQ(c.Alpha(60, 20), 0u);
  EXPECT_EQ(c.At(114, 98), 0xFFFF0000u);  // the bitmap's red quarter at (56,48), doubled
  GdipDisposeImage(image);
}

TEST_F(GdipMetafile, PlaceableWmfAndEmfHandles) {
  qd::testing::WmfBuilder w(40, 20);
  w.Add(0x02FC, qd::testing::Words().U16(BS_SOLID).U32(0x00FF00).U16(0));
  w.Add(0x012D, qd::testing::Words().U16(0));
  w.Add(0x041B, qd::testing::Words().I16s({20, 40, 0, 0}));
  GpImage* wmf = LoadImage(w.Bytes());
  ASSERT_NE(wmf, nullptr);
  GUID raw{};
  UINT width = 0;
  GdipGetImageRawFormat(wmf, &raw);
  GdipGetImageWidth(wmf, &width);
  EXPECT_EQ(raw, ImageFormatWMF);
  EXPECT_EQ(width, 40u);
  ARGB v = 0;
  GdipBitmapGetPixel(reinterpret_cast<GpBitmap*>(wmf), 20, 10, &v);
  EXPECT_EQ(v, 0xFF00FF00u);
  GdipDisposeImage(wmf);

  std::vector<uint8_t> bytes = qd::testing::RecordSample(80, 72, false);
  HENHMETAFILE emf = SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
  GpMetafile* m = nullptr;
  ASSERT_EQ(GdipCreateMetafileFromEmf(emf, TRUE, &m), Ok);
  EXPECT_FALSE(DeleteEnhMetaFile(emf));  // already deleted by the call
  HENHMETAFILE back = nullptr;
  ASSERT_EQ(GdipGetHemfFromMetafile(m, &back), Ok);
  EXPECT_EQ(GetEnhMetaFileBits(back, 0, nullptr), bytes.size());
  DeleteEnhMetaFile(back);
  GdipDisposeImage(m);
}

TEST_F(GdipMetafile, DamagedMetafilesAreRefusedWithAStatus) {
  std::vector<uint8_t> bytes = qd::testing::RecordSample(80, 72, false);
  std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(bytes.size() / 2));
  Status s = Ok;
  EXPECT_EQ(LoadImage(cut, &s), nullptr);
  EXPECT_EQ(s, InvalidParameter);
  GpMetafile* m = nullptr;
  EXPECT_EQ(GdipCreateMetafileFromEmf(nullptr, FALSE, &m), InvalidParameter);
}

}  // namespace
}  // namespace qd::gdiplus::test
