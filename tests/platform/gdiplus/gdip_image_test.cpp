// Bitmaps: formats, pixel access, LockBits, HBITMAP interchange, drawing images with
// interpolation modes and image attributes.
#include <cstring>

#include "gdip_test_util.h"
#include "tests/platform/os/gdi_test_util.h"

namespace qd::gdiplus::test {
namespace {

using GdipImage = GdipTest;

constexpr uint32_t A = 0xFFFF0000, B = 0xFF00FF00, C = 0xFF0000FF, D = 0xFFFFFF00;

// A 2 x 2 bitmap of four colours.
struct Quad {
  uint32_t px[4] = {A, B, C, D};
  GpBitmap* bitmap = nullptr;
  Quad() { GdipCreateBitmapFromScan0(2, 2, 8, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(px), &bitmap); }
  ~Quad() { GdipDisposeImage(bitmap); }
};

char Name(uint32_t v) {
  switch (v) {
    case A:
      return 'A';
    case B:
      return 'B';
    case C:
      return 'C';
    case D:
      return 'D';
    case 0:
      return '.';
    default:
      return '?';
  }
}

TEST_F(GdipImage, PixelsInEachFormat) {
  struct Case {
    PixelFormat format;
    uint32_t back;
  };
  const Case cases[] = {{PixelFormat32bppARGB, 0x80FF8040},
                        {PixelFormat32bppPARGB, 0x80FF8040},
                        {PixelFormat32bppRGB, 0xFFFF8040},
                        {PixelFormat24bppRGB, 0xFFFF8040}};
  for (const Case& k : cases) {
    GpBitmap* b = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(3, 2, 0, k.format, nullptr, &b), Ok);
    ARGB v = 1;
    ASSERT_EQ(GdipBitmapGetPixel(b, 2, 1, &v), Ok);
    EXPECT_EQ(v, (k.format & PixelFormatAlpha) ? 0u : 0xFF000000u) << std::hex << k.format;
    ASSERT_EQ(GdipBitmapSetPixel(b, 2, 1, 0x80FF8040), Ok);
    ASSERT_EQ(GdipBitmapGetPixel(b, 2, 1, &v), Ok);
    EXPECT_EQ(v, k.back) << std::hex << k.format;
    EXPECT_EQ(GdipBitmapGetPixel(b, 3, 0, &v), InvalidParameter);
    PixelFormat f = 0;
    GdipGetImagePixelFormat(b, &f);
    EXPECT_EQ(f, k.format);
    GUID raw;
    GdipGetImageRawFormat(b, &raw);
    EXPECT_EQ(raw, ImageFormatMemoryBMP);
    GdipDisposeImage(b);
  }
}

TEST_F(GdipImage, LockBitsRoundTrips) {
  GpBitmap* b = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromScan0(3, 2, 0, PixelFormat32bppARGB, nullptr, &b), Ok);
  GdipBitmapSetPixel(b, 0, 0, 0x80FF0000);
  GdipBitmapSetPixel(b, 1, 0, 0xFF00FF00);
  // Read as premultiplied: the conversion happens in the locked copy.
  BitmapData data;
  GpRect rect{0, 0, 2, 1};
  ASSERT_EQ(GdipBitmapLockBits(b, &rect, ImageLockModeRead, PixelFormat32bppPARGB, &data), Ok);
  EXPECT_EQ(data.Width, 2u);
  EXPECT_EQ(data.PixelFormat, PixelFormat32bppPARGB);
  const auto* row = static_cast<const uint32_t*>(data.Scan0);
  EXPECT_EQ(row[0], 0x80800000u);
  EXPECT_EQ(row[1], 0xFF00FF00u);
  GpRect again{0, 0, 1, 1};
  BitmapData second;
  EXPECT_EQ(GdipBitmapLockBits(b, &again, ImageLockModeRead, PixelFormat32bppARGB, &second), WrongState);
  ARGB v;
  EXPECT_EQ(GdipBitmapGetPixel(b, 0, 0, &v), WrongState);
  ASSERT_EQ(GdipBitmapUnlockBits(b, &data), Ok);
  EXPECT_EQ(GdipBitmapUnlockBits(b, &data), WrongState);

  // Written as 24-bit rows, which come back opaque.
  GpRect second_row{1, 1, 2, 1};
  ASSERT_EQ(GdipBitmapLockBits(b, &second_row, ImageLockModeWrite, PixelFormat24bppRGB, &data), Ok);
  auto* bytes = static_cast<uint8_t*>(data.Scan0);
  const uint8_t bgr[6] = {0x10, 0x20, 0x30, 0x40, 0x50, 0x60};
  std::memcpy(bytes, bgr, 6);
  ASSERT_EQ(GdipBitmapUnlockBits(b, &data), Ok);
  ASSERT_EQ(GdipBitmapGetPixel(b, 1, 1, &v), Ok);
  EXPECT_EQ(v, 0xFF302010u);
  ASSERT_EQ(GdipBitmapGetPixel(b, 2, 1, &v), Ok);
  EXPECT_EQ(v, 0xFF605040u);
  ASSERT_EQ(GdipBitmapGetPixel(b, 0, 1, &v), Ok);
  EXPECT_EQ(v, 0u);  // outside the locked rectangle

  // The caller's own buffer.
  uint32_t mine[2] = {0xFFABCDEF, 0x01020304};
  data.Scan0 = mine;
  data.Stride = 8;
  ASSERT_EQ(GdipBitmapLockBits(b, &rect, ImageLockModeWrite | ImageLockModeUserInputBuf, PixelFormat32bppARGB,
                               &data),
            Ok);
  EXPECT_EQ(data.Scan0, mine);
  ASSERT_EQ(GdipBitmapUnlockBits(b, &data), Ok);
  ASSERT_EQ(GdipBitmapGetPixel(b, 0, 0, &v), Ok);
  EXPECT_EQ(v, 0xFFABCDEFu);
  ASSERT_EQ(GdipBitmapGetPixel(b, 1, 0, &v), Ok);
  EXPECT_EQ(v, 0x01020304u);
  GpRect outside{2, 1, 2, 1};
  EXPECT_EQ(GdipBitmapLockBits(b, &outside, ImageLockModeRead, PixelFormat32bppARGB, &data),
            InvalidParameter);
  GdipDisposeImage(b);
}

TEST_F(GdipImage, DrawImageInterpolationAndPixelCentres) {
  struct Case {
    const char* what;
    PixelOffsetMode offset;
    InterpolationMode mode;
    GpRectF src;
    std::string mask;
  };
  const Case cases[] = {
      {"half mode doubles each pixel",
       PixelOffsetModeHalf,
       InterpolationModeNearestNeighbor,
       {0, 0, 2, 2},
       Rows({"AABB", "AABB", "CCDD", "CCDD"})},
      // With centres on integers the picture sits half a source pixel up and left; the
      // library narrows the source by one pixel when enlarging, which makes it whole again.
      {"integer centres",
       PixelOffsetModeNone,
       InterpolationModeNearestNeighbor,
       {0, 0, 2, 2},
       Rows({"ABB.", "CDD.", "CDD.", "...."})},
      {"integer centres, narrowed source",
       PixelOffsetModeNone,
       InterpolationModeNearestNeighbor,
       {0, 0, 1, 1},
       Rows({"AABB", "AABB", "CCDD", "CCDD"})},
  };
  Quad q;
  for (const Case& k : cases) {
    Canvas c(4, 4);
    GdipSetPixelOffsetMode(c.g, k.offset);
    GdipSetInterpolationMode(c.g, k.mode);
    ASSERT_EQ(GdipDrawImageRectRect(c.g, q.bitmap, 0, 0, 4, 4, k.src.X, k.src.Y, k.src.Width, k.src.Height,
                                    UnitPixel, nullptr, nullptr, nullptr),
              Ok);
    EXPECT_EQ(c.Mask(Name), k.mask) << k.what;
  }
  // An unscaled image at whole pixels is copied exactly, whatever the filter.
  for (PixelOffsetMode offset : {PixelOffsetModeNone, PixelOffsetModeHalf})
    for (bool bottomUp : {false, true}) {
      Canvas c(4, 3, 0, bottomUp);
      GdipSetPixelOffsetMode(c.g, offset);
      GdipSetInterpolationMode(c.g, InterpolationModeHighQualityBicubic);
      ASSERT_EQ(GdipDrawImageRectI(c.g, q.bitmap, 1, 1, 2, 2), Ok);
      EXPECT_EQ(c.Mask(Name), Rows({"....", ".AB.", ".CD."})) << offset;
    }
  // Bilinear enlargement blends neighbours.
  Canvas c(4, 1);
  GdipSetPixelOffsetMode(c.g, PixelOffsetModeHalf);
  ASSERT_EQ(
      GdipDrawImageRectRect(c.g, q.bitmap, 0, 0, 4, 1, 0, 0, 2, 1, UnitPixel, nullptr, nullptr, nullptr), Ok);
  uint32_t mid = c.At(1, 0);
  EXPECT_NEAR(int((mid >> 16) & 0xFF), 191, 3);  // three quarters of A
  EXPECT_NEAR(int((mid >> 8) & 0xFF), 64, 3);    // a quarter of B
}

TEST_F(GdipImage, ImageAttributesRecolour) {
  uint32_t px[2] = {0xFF102030, 0xFF00FF00};
  GpBitmap* b = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromScan0(2, 1, 8, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(px), &b), Ok);
  GpImageAttributes* attrs = nullptr;
  ASSERT_EQ(GdipCreateImageAttributes(&attrs), Ok);
  // Red and blue swapped, alpha halved.
  ColorMatrix m;
  m.m[2][0] = 1;
  m.m[1][1] = 1;
  m.m[0][2] = 1;
  m.m[3][3] = 0.5f;
  m.m[4][4] = 1;
  ASSERT_EQ(GdipSetImageAttributesColorMatrix(attrs, ColorAdjustTypeBitmap, TRUE, &m, nullptr,
                                              ColorMatrixFlagsDefault),
            Ok);
  ASSERT_EQ(GdipSetImageAttributesColorKeys(attrs, ColorAdjustTypeBitmap, TRUE, 0xFF00F000, 0xFF00FF00), Ok);
  {
    Canvas c(2, 1);
    GdipSetPixelOffsetMode(c.g, PixelOffsetModeHalf);
    ASSERT_EQ(GdipDrawImageRectRectI(c.g, b, 0, 0, 2, 1, 0, 0, 2, 1, UnitPixel, attrs, nullptr, nullptr), Ok);
    uint32_t v = c.At(0, 0);
    EXPECT_NEAR(int(v >> 24), 128, 1);
    EXPECT_NEAR(int((v >> 16) & 0xFF), 0x18, 1);  // blue 0x30 became red, premultiplied
    EXPECT_NEAR(int(v & 0xFF), 0x08, 1);
    EXPECT_EQ(c.At(1, 0), 0u);  // the keyed green is transparent
  }
  // Settings for brushes leave images alone.
  GpImageAttributes* brushOnly = nullptr;
  ASSERT_EQ(GdipCreateImageAttributes(&brushOnly), Ok);
  ASSERT_EQ(GdipSetImageAttributesColorMatrix(brushOnly, ColorAdjustTypeBrush, TRUE, &m, nullptr,
                                              ColorMatrixFlagsDefault),
            Ok);
  {
    Canvas c(2, 1);
    ASSERT_EQ(GdipDrawImageRectRectI(c.g, b, 0, 0, 2, 1, 0, 0, 2, 1, UnitPixel, brushOnly, nullptr, nullptr),
              Ok);
    EXPECT_EQ(c.At(0, 0), px[0]);
  }
  // Tiling around the source rectangle.
  GpImageAttributes* tile = nullptr;
  ASSERT_EQ(GdipCreateImageAttributes(&tile), Ok);
  ASSERT_EQ(GdipSetImageAttributesWrapMode(tile, WrapModeTile, 0, FALSE), Ok);
  {
    Canvas c(4, 1);
    GdipSetInterpolationMode(c.g, InterpolationModeNearestNeighbor);
    ASSERT_EQ(GdipDrawImageRectRectI(c.g, b, 0, 0, 4, 1, 0, 0, 4, 1, UnitPixel, tile, nullptr, nullptr), Ok);
    EXPECT_EQ(c.At(2, 0), px[0]);
    EXPECT_EQ(c.At(3, 0), px[1]);
  }
  GpImageAttributes* clone = nullptr;
  ASSERT_EQ(GdipCloneImageAttributes(attrs, &clone), Ok);
  ASSERT_EQ(GdipResetImageAttributes(attrs, ColorAdjustTypeBitmap), Ok);
  {
    Canvas c(2, 1);
    ASSERT_EQ(GdipDrawImageRectRectI(c.g, b, 0, 0, 2, 1, 0, 0, 2, 1, UnitPixel, clone, nullptr, nullptr), Ok);
    EXPECT_EQ(c.At(1, 0), 0u);  // the clone kept the key
  }
  EXPECT_EQ(GdipSetImageAttributesGamma(attrs, ColorAdjustTypeDefault, TRUE, 0), InvalidParameter);
  GdipDisposeImageAttributes(clone);
  GdipDisposeImageAttributes(tile);
  GdipDisposeImageAttributes(brushOnly);
  GdipDisposeImageAttributes(attrs);
  GdipDisposeImage(b);
}

TEST_F(GdipImage, DrawingOnOtherFormatsKeepsUntouchedPixels) {
  for (PixelFormat f : {PixelFormat32bppARGB, PixelFormat24bppRGB, PixelFormat32bppRGB}) {
    GpBitmap* b = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(4, 1, 0, f, nullptr, &b), Ok);
    GdipBitmapSetPixel(b, 3, 0, 0x02808080);
    ARGB before;
    GdipBitmapGetPixel(b, 3, 0, &before);
    GpGraphics* g = nullptr;
    ASSERT_EQ(GdipGetImageGraphicsContext(b, &g), Ok);
    Brush brush(0xFF123456);
    ASSERT_EQ(GdipFillRectangleI(g, brush, 0, 0, 2, 1), Ok);
    GdipDeleteGraphics(g);
    ARGB v;
    GdipBitmapGetPixel(b, 0, 0, &v);
    EXPECT_EQ(v, 0xFF123456u) << std::hex << f;
    GdipBitmapGetPixel(b, 3, 0, &v);
    EXPECT_EQ(v, before) << std::hex << f;
    GdipDisposeImage(b);
  }
}

TEST_F(GdipImage, HbitmapInterchange) {
  GpBitmap* b = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromScan0(2, 1, 0, PixelFormat32bppARGB, nullptr, &b), Ok);
  GdipBitmapSetPixel(b, 0, 0, 0x80FF0000);
  GdipBitmapSetPixel(b, 1, 0, 0xFF0000FF);
  struct Case {
    ARGB background;
    uint32_t first;
  };
  for (const Case& k : {Case{0, 0x80800000}, Case{0xFFFFFFFF, 0xFFFF7F7F}}) {
    HBITMAP hbm = nullptr;
    ASSERT_EQ(GdipCreateHBITMAPFromBitmap(b, &hbm, k.background), Ok);
    BITMAPINFO bi = qd::testing::Info32(2, 1);
    uint32_t px[2] = {};
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_EQ(GetDIBits(dc, hbm, 0, 1, px, &bi, DIB_RGB_COLORS), 1);
    DeleteDC(dc);
    EXPECT_NEAR(int(px[0] >> 24), int(k.first >> 24), 1);
    EXPECT_NEAR(int((px[0] >> 16) & 0xFF), int((k.first >> 16) & 0xFF), 1);
    EXPECT_NEAR(int((px[0] >> 8) & 0xFF), int((k.first >> 8) & 0xFF), 1);
    EXPECT_EQ(px[1], 0xFF0000FFu);

    // Back from the HBITMAP: GDI's alpha is not trusted, so the pixels come back opaque.
    GpBitmap* back = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromHBITMAP(hbm, nullptr, &back), Ok);
    PixelFormat f;
    GdipGetImagePixelFormat(back, &f);
    EXPECT_EQ(f, PixelFormat32bppRGB);
    ARGB v;
    GdipBitmapGetPixel(back, 1, 0, &v);
    EXPECT_EQ(v, 0xFF0000FFu);
    GdipDisposeImage(back);
    DeleteObject(hbm);
  }
  GpBitmap* none = nullptr;
  EXPECT_EQ(GdipCreateBitmapFromHBITMAP(nullptr, nullptr, &none), InvalidParameter);
  GdipDisposeImage(b);
}

TEST_F(GdipImage, CloneAreaRotateAndThumbnail) {
  Quad q;
  GpBitmap* area = nullptr;
  ASSERT_EQ(GdipCloneBitmapAreaI(1, 0, 1, 2, PixelFormat24bppRGB, q.bitmap, &area), Ok);
  UINT w = 0, h = 0;
  GdipGetImageWidth(area, &w);
  GdipGetImageHeight(area, &h);
  EXPECT_EQ(w, 1u);
  EXPECT_EQ(h, 2u);
  ARGB v;
  GdipBitmapGetPixel(area, 0, 1, &v);
  EXPECT_EQ(v, D);
  EXPECT_EQ(GdipCloneBitmapAreaI(1, 1, 2, 2, PixelFormat24bppRGB, q.bitmap, &area), InvalidParameter);

  GpImage* copy = nullptr;
  ASSERT_EQ(GdipCloneImage(q.bitmap, &copy), Ok);
  ASSERT_EQ(GdipImageRotateFlip(copy, Rotate90FlipNone), Ok);
  // Turned clockwise: the left column becomes the top row, bottom first.
  GdipBitmapGetPixel(static_cast<GpBitmap*>(copy), 0, 0, &v);
  EXPECT_EQ(v, C);
  GdipBitmapGetPixel(static_cast<GpBitmap*>(copy), 1, 0, &v);
  EXPECT_EQ(v, A);
  ASSERT_EQ(GdipImageRotateFlip(copy, RotateNoneFlipX), Ok);
  GdipBitmapGetPixel(static_cast<GpBitmap*>(copy), 0, 0, &v);
  EXPECT_EQ(v, A);

  GpImage* thumb = nullptr;
  ASSERT_EQ(GdipGetImageThumbnail(q.bitmap, 8, 4, &thumb, nullptr, nullptr), Ok);
  GdipGetImageWidth(thumb, &w);
  GdipGetImageHeight(thumb, &h);
  EXPECT_EQ(w, 8u);
  EXPECT_EQ(h, 4u);
  GdipDisposeImage(thumb);
  GdipDisposeImage(copy);
  GdipDisposeImage(area);
}

}  // namespace
}  // namespace qd::gdiplus::test
