// Metafiles: recording through a metafile DC, playback onto memory DCs, hand-shaped EMF and
// WMF files, and damaged files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/os/gdi_metafile.h"
#include "tests/platform/os/gdi_test_util.h"
#include "tests/platform/os/metafile_test_util.h"

namespace qd::testing {
namespace {

HENHMETAFILE Load(const std::vector<uint8_t>& bytes) {
  return SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
}

uint32_t Rgb(COLORREF c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

TEST(Metafile, RecordedSceneReplaysPixelForPixel) {
  TestDib direct(80, 72), played(80, 72);
  DrawSampleScene(direct.dc);
  DrawSampleText(direct.dc);
  HENHMETAFILE mf = Load(RecordSample(80, 72, true));
  ASSERT_NE(mf, nullptr);
  RECT r{0, 0, 80, 72};
  ASSERT_TRUE(PlayEnhMetaFile(played.dc, mf, &r));
  DeleteEnhMetaFile(mf);
  direct.SavePng("metafile_direct");
  played.SavePng("metafile_played");
  int diff = 0;
  for (int y = 0; y < 72; ++y)
    for (int x = 0; x < 80; ++x) diff += direct.Rgb(x, y) != played.Rgb(x, y);
  EXPECT_EQ(diff, 0);
  // The scene really drew: the rectangle's fill, the bitmap's quarters, the text.
  EXPECT_EQ(played.Rgb(10, 10), Rgb(0xC04000));
  EXPECT_EQ(played.Rgb(57, 49), 0xFF0000u);
  EXPECT_EQ(played.Rgb(62, 54), 0xFFFFFFu);
  EXPECT_NE(played.MaskOf(0x800000).find('#'), std::string::npos);
}

TEST(Metafile, PlaybackMapsTheFrameOntoTheRectangle) {
  HENHMETAFILE mf = Load(RecordSample(80, 72, false));
  ASSERT_NE(mf, nullptr);
  TestDib t(200, 170);
  RECT r{10, 10, 170, 154};  // twice the size
  ASSERT_TRUE(PlayEnhMetaFile(t.dc, mf, &r));
  t.SavePng("metafile_scaled");
  EXPECT_EQ(t.At(5, 5), kSentinel);
  EXPECT_EQ(t.At(190, 160), kSentinel);
  EXPECT_EQ(t.Rgb(10 + 20, 10 + 20), Rgb(0xC04000));  // rectangle at (2,2)-(30,20)
  // The bitmap's quarters at (56,48) 8x8, now 16x16 at (122,106).
  EXPECT_EQ(t.Rgb(124, 108), 0xFF0000u);
  EXPECT_EQ(t.Rgb(134, 108), 0x00FF00u);
  EXPECT_EQ(t.Rgb(124, 118), 0x0000FFu);
  // The path's fill and the clip: the last rectangle only shows right of x = 66 (142 here).
  EXPECT_EQ(t.Rgb(10 + 120, 10 + 66), 0u);
  EXPECT_EQ(t.At(10 + 128, 10 + 82), kSentinel);
  DeleteEnhMetaFile(mf);
}

TEST(Metafile, RecordingDcKeepsStateAndDescribesThePicture) {
  RECT frame{0, 0, 2540, 1270};  // 96 x 48 pixels
  HDC rec = CreateEnhMetaFileW(nullptr, nullptr, &frame, u"picture");
  ASSERT_NE(rec, nullptr);
  EXPECT_EQ(GetObjectType(rec), OBJ_ENHMETADC);
  SetTextColor(rec, 0x123456);
  EXPECT_EQ(GetTextColor(rec), 0x123456u);
  Rectangle(rec, 0, 0, 10, 10);
  HENHMETAFILE mf = CloseEnhMetaFile(rec);
  ASSERT_NE(mf, nullptr);
  ENHMETAHEADER h;
  ASSERT_EQ(GetEnhMetaFileHeader(mf, sizeof h, &h), sizeof h);
  EXPECT_EQ(h.rclFrame.right, 2540);
  EXPECT_EQ(h.nRecords, 4u);  // header, text colour, rectangle, end
  EXPECT_EQ(h.nDescription, 8u);
  std::vector<uint8_t> bytes(GetEnhMetaFileBits(mf, 0, nullptr));
  ASSERT_EQ(GetEnhMetaFileBits(mf, static_cast<UINT>(bytes.size()), bytes.data()), bytes.size());
  metafile::Info info;
  ASSERT_EQ(metafile::Examine(bytes, info), metafile::Check::Ok);
  EXPECT_EQ(info.width, 96);
  EXPECT_EQ(info.height, 48);
  HENHMETAFILE copy = CopyEnhMetaFileW(mf, nullptr);
  EXPECT_TRUE(DeleteEnhMetaFile(mf));
  EXPECT_FALSE(DeleteEnhMetaFile(mf));
  EXPECT_EQ(GetEnhMetaFileBits(copy, 0, nullptr), bytes.size());
  DeleteEnhMetaFile(copy);
}

TEST(Metafile, RealWorldShapedFileDrawsScaled) {
  std::vector<uint8_t> bytes = RealWorldShapedEmf();
  metafile::Info info;
  ASSERT_EQ(metafile::Examine(bytes, info), metafile::Check::Ok);
  EXPECT_EQ(info.width, 100);
  EXPECT_EQ(info.height, 50);
  HENHMETAFILE mf = Load(bytes);
  ASSERT_NE(mf, nullptr);
  TestDib t(200, 100);
  RECT r{0, 0, 200, 100};
  ASSERT_TRUE(PlayEnhMetaFile(t.dc, mf, &r));
  t.SavePng("metafile_realworld");
  DeleteEnhMetaFile(mf);
  // The square fills the left half; the text sits right of it in red.
  EXPECT_EQ(t.Rgb(50, 50), Rgb(0x00C000));
  EXPECT_EQ(t.Rgb(99, 99), Rgb(0x00C000));
  EXPECT_EQ(t.At(101, 2), kSentinel);
  int red = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 100; x < 200; ++x) red += t.Rgb(x, y) == 0xFF0000u;
  EXPECT_GT(red, 30);
}

TEST(Metafile, PlaceableWmfDrawsIntoTheRectangle) {
  WmfBuilder w(40, 20);
  w.Add(0x02FC, Words().U16(BS_SOLID).U32(0x0000FF).U16(0));  // red brush into slot 0
  w.Add(0x012D, Words().U16(0));
  w.Add(0x041B, Words().I16s({20, 20, 0, 0}));  // rectangle 0,0 - 20,20 (parameters reversed)
  std::vector<uint8_t> bytes = w.Bytes();
  metafile::Info info;
  ASSERT_EQ(metafile::Examine(bytes, info), metafile::Check::Ok);
  EXPECT_EQ(info.kind, metafile::Kind::Wmf);
  EXPECT_EQ(info.width, 40);
  HENHMETAFILE mf = SetWinMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data(), nullptr, nullptr);
  ASSERT_NE(mf, nullptr);
  TestDib t(90, 50);
  RECT r{5, 5, 85, 45};
  ASSERT_TRUE(PlayEnhMetaFile(t.dc, mf, &r));
  t.SavePng("metafile_wmf");
  DeleteEnhMetaFile(mf);
  EXPECT_EQ(t.Rgb(20, 20), 0xFF0000u);
  EXPECT_EQ(t.Rgb(5, 5), 0u);  // the black outline
  EXPECT_EQ(t.At(60, 20), kSentinel);
  HMETAFILE old = SetMetaFileBitsEx(static_cast<UINT>(bytes.size()), bytes.data());
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(GetMetaFileBitsEx(old, 0, nullptr), bytes.size());
  EXPECT_TRUE(DeleteMetaFile(old));
}

TEST(Metafile, OldStyleTextShapesAndBitmap) {
  std::vector<uint8_t> bytes = SampleWmf();
  TestDib t(64, 64);
  ASSERT_TRUE(metafile::Play(t.dc, bytes, RECT{0, 0, 64, 64}));
  t.SavePng("metafile_wmf_sample");
  EXPECT_EQ(t.Rgb(20, 30), 0xFFA000u);  // the polygon's fill
  EXPECT_EQ(t.Rgb(41, 25), 0x0000FFu);  // the bottom-up bitmap's last row comes first
  EXPECT_EQ(t.Rgb(47, 31), 0x00FF00u);
  int ink = 0;
  for (int y = 46; y < 64; ++y)
    for (int x = 30; x < 64; ++x) ink += (t.Rgb(x, y) & 0xC0C0C0) == 0;  // dark: the black text
  EXPECT_GT(ink, 20);
}

std::vector<uint8_t> WithU32(std::vector<uint8_t> b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
  return b;
}

TEST(Metafile, DamagedFilesAreRefused) {
  const std::vector<uint8_t> good = RealWorldShapedEmf();
  const size_t first = sizeof(ENHMETAHEADER);  // the first record after the header
  EmfBuilder hugePolygon(10, 10);
  hugePolygon.Add(EMR_POLYGON, Words().I32s({0, 0, 0, 0}).U32(0x40000000).I32s({1, 1}));
  EmfBuilder shortBits(10, 10);
  BITMAPINFOHEADER bih;
  bih.biWidth = 100;
  bih.biHeight = 100;
  bih.biBitCount = 32;
  shortBits.Add(EMR_STRETCHDIBITS, Words()
                                       .I32s({0, 0, 0, 0, 0, 0, 0, 0, 100, 100})
                                       .U32(80)
                                       .U32(40)
                                       .U32(120)
                                       .U32(16)
                                       .U32(0)
                                       .U32(SRCCOPY)
                                       .I32s({10, 10})
                                       .Raw(&bih, 40)
                                       .U32(0)
                                       .U32(0)
                                       .U32(0)
                                       .U32(0));
  EmfBuilder badCounts(10, 10);
  badCounts.Add(EMR_POLYPOLYGON16,
                Words().I32s({0, 0, 0, 0}).U32(2).U32(3).U32(2).U32(2).I16s({0, 0, 1, 1, 2, 2}));
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"truncated", std::vector<uint8_t>(good.begin(), good.end() - 12)},
      {"record of size 0", WithU32(good, first + 4, 0)},
      {"record past the end", WithU32(good, first + 4, 0x10000)},
      {"size not a multiple of 4", WithU32(good, first + 4, 14)},
      {"longer than the data", WithU32(good, 48, static_cast<uint32_t>(good.size() + 4))},
      {"no end record", EmfBuilder(10, 10).Bytes(false)},
      {"count beyond the record", hugePolygon.Bytes()},
      {"bitmap bits missing", shortBits.Bytes()},
      {"counts that do not add up", badCounts.Bytes()},
      {"header only", std::vector<uint8_t>(good.begin(), good.begin() + 88)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    metafile::Info info;
    EXPECT_EQ(metafile::Examine(c.bytes, info), metafile::Check::Damaged);
    EXPECT_EQ(Load(c.bytes), nullptr);
    TestDib t(10, 10);
    EXPECT_FALSE(metafile::Play(t.dc, c.bytes, RECT{0, 0, 10, 10}));
  }
  WmfBuilder w(10, 10);
  w.Add(0x0324, Words().U16(500).I16s({0, 0}));  // a polygon of 500 points with one
  std::vector<uint8_t> wmf = w.Bytes();
  metafile::Info info;
  EXPECT_EQ(metafile::Examine(wmf, info), metafile::Check::Damaged);
  EXPECT_EQ(SetMetaFileBitsEx(static_cast<UINT>(wmf.size()), wmf.data()), nullptr);
  const uint8_t png[] = {0x89, 'P', 'N', 'G', 13, 10, 26, 10};
  EXPECT_EQ(metafile::Examine(png, info), metafile::Check::NotMetafile);
}

}  // namespace
}  // namespace qd::testing
