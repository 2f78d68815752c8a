// TcxBitmap and TcxBitmap32: update batching, sizes, pixel operations, flips, and the
// compressed bitmap block (packets, round trips of stored-form data, untrusted blocks).
#include "ui/graphics/cxGraphicsBitmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "graphics_test_util.h"
#include "platform/base/exceptions.h"

namespace qd::testing {
namespace {

int BitmapTestChanges = 0;
void BitmapTestCountChange(TObject*) {
  ++BitmapTestChanges;
}

std::vector<uint8_t> BitmapTestBytes(TMemoryStream& s) {
  const auto* p = static_cast<const uint8_t*>(s.Memory());
  return std::vector<uint8_t>(p, p + s.Size());
}

// The block of raw bytes coded with ABlockSize.
std::vector<uint8_t> BitmapTestEncode(const std::vector<uint8_t>& raw, int32_t ABlockSize) {
  TMemoryStream in, out;
  if (!raw.empty()) in.WriteBuffer(raw.data(), static_cast<int64_t>(raw.size()));
  in.SetPosition(0);
  cxWriteCompressedBitmapBlock(&in, &out, ABlockSize);
  return BitmapTestBytes(out);
}

std::vector<uint8_t> BitmapTestDecode(const std::vector<uint8_t>& block, bool* found = nullptr) {
  TMemoryStream in, out;
  if (!block.empty()) in.WriteBuffer(block.data(), static_cast<int64_t>(block.size()));
  in.SetPosition(0);
  const bool ok = cxReadCompressedBitmapBlock(&in, &out);
  if (found) *found = ok;
  EXPECT_LE(in.Position(), in.Size());
  return BitmapTestBytes(out);
}

std::vector<uint8_t> BitmapTestHeader(int32_t size, uint16_t version) {
  std::vector<uint8_t> h(10);
  std::memcpy(h.data(), &size, 4);
  std::memcpy(h.data() + 4, "XDBM", 4);
  std::memcpy(h.data() + 8, &version, 2);
  return h;
}

// A picture with runs of equal pixels and steps between them.
void BitmapTestPaint(TBitmap* b) {
  for (int y = 0; y < b->Height(); ++y)
    for (int x = 0; x < b->Width(); ++x)
      b->Canvas()->SetPixels(x, y, static_cast<TColor>(RGB((x / 6) * 40, (x / 4) * 30 % 256, (y / 3) * 20)));
}

TEST(CompressedBitmapBlock, PacketsFollowTheRuns) {
  struct Case {
    std::vector<uint8_t> raw;
    int32_t blockSize;
    std::vector<uint8_t> payload;  // after the 10-byte header
  } cases[] = {
      {{'a', 'a', 'b'}, 1, {1, 0, 0x02, 'a', 0x81, 'b'}},
      {{'a', 'b', 'c', 'c'}, 1, {1, 0, 0x82, 'a', 'b', 0x02, 'c'}},
      {{'x', 'a', 'b', 'a', 'b'}, 2, {2, 1, 'x', 0x02, 'a', 'b'}},
      {{'a'}, 1, {1, 0, 0x81, 'a'}},
      {{}, 4, {4, 0}},
      {{'1', '2', '3'}, 4, {4, 3, '1', '2', '3'}},
  };
  for (const auto& c : cases) {
    const auto block = BitmapTestEncode(c.raw, c.blockSize);
    ASSERT_GE(block.size(), 10u);
    auto expected = BitmapTestHeader(static_cast<int32_t>(c.payload.size()), 2);
    expected.insert(expected.end(), c.payload.begin(), c.payload.end());
    EXPECT_EQ(block, expected) << c.raw.size();
    EXPECT_EQ(BitmapTestDecode(block), c.raw);
  }
}

TEST(CompressedBitmapBlock, LongRunsSplitAt125Blocks) {
  std::vector<uint8_t> raw(2 + 4 * 300, 7);
  const auto block = BitmapTestEncode(raw, 4);
  // header, BlockSize 4, Shift 2, two leading bytes, then 125 + 125 + 50 repeated blocks.
  const std::vector<uint8_t> payload = {4, 2, 7, 7, 0x7D, 7, 7, 7, 7, 0x7D, 7, 7, 7, 7, 50, 7, 7, 7, 7};
  ASSERT_EQ(block.size(), 10 + payload.size());
  EXPECT_EQ(std::vector<uint8_t>(block.begin() + 10, block.end()), payload);
  std::vector<uint8_t> literal(600);
  for (size_t i = 0; i < literal.size(); ++i) literal[i] = static_cast<uint8_t>(i * 37 + i / 256);
  EXPECT_EQ(BitmapTestDecode(BitmapTestEncode(literal, 3)), literal);
}

TEST(CompressedBitmapBlock, DamagedBlocksEndCleanly) {
  bool found = false;
  // Not a block: the position is kept and nothing is decoded.
  EXPECT_TRUE(BitmapTestDecode({1, 2, 3, 4, 'X', 'D', 'B', 'N', 2, 0}, &found).empty());
  EXPECT_FALSE(found);
  EXPECT_TRUE(BitmapTestDecode({1, 2}, &found).empty());
  EXPECT_FALSE(found);
  // A size far beyond the data: decoding stops at the data's end.
  auto big = BitmapTestHeader(0x7FFFFFFF, 2);
  big.insert(big.end(), {1, 0, 0x7F, 'z', 0x85, 'a'});
  EXPECT_EQ(BitmapTestDecode(big, &found), std::vector<uint8_t>(127, 'z'));
  EXPECT_TRUE(found);
  // Negative size, unknown version, zero block size: nothing decoded.
  auto negative = BitmapTestHeader(-20, 2);
  negative.insert(negative.end(), {1, 0, 0x02, 'a'});
  EXPECT_TRUE(BitmapTestDecode(negative).empty());
  auto v3 = BitmapTestHeader(4, 3);
  v3.insert(v3.end(), {1, 0, 0x02, 'a'});
  EXPECT_TRUE(BitmapTestDecode(v3).empty());
  auto zero = BitmapTestHeader(4, 2);
  zero.insert(zero.end(), {0, 0, 0x02, 'a'});
  EXPECT_TRUE(BitmapTestDecode(zero).empty());
  // Version 1: packets of single bytes right after the header.
  auto v1 = BitmapTestHeader(4, 1);
  v1.insert(v1.end(), {0x03, 'q', 0x81, 'r'});
  EXPECT_EQ(BitmapTestDecode(v1), (std::vector<uint8_t>{'q', 'q', 'q', 'r'}));
  // A shift longer than the data and repeat packets of huge blocks.
  auto shift = BitmapTestHeader(6, 2);
  shift.insert(shift.end(), {255, 200, 'a', 'b', 'c', 'd'});
  EXPECT_EQ(BitmapTestDecode(shift), (std::vector<uint8_t>{'a', 'b', 'c', 'd'}));
}

TEST(CompressedBitmapBlock, SizeCountsFromTheBlockStart) {
  TMemoryStream raw, out;
  const uint8_t data[] = {5, 5, 5, 5, 6};
  raw.WriteBuffer(data, 5);
  raw.SetPosition(0);
  out.WriteBuffer("prefix", 6);
  cxWriteCompressedBitmapBlock(&raw, &out, 1);
  out.WriteBuffer("\x81Z", 2);  // what follows must not be read as a packet
  out.SetPosition(6);
  TMemoryStream decoded;
  ASSERT_TRUE(cxReadCompressedBitmapBlock(&out, &decoded));
  EXPECT_EQ(BitmapTestBytes(decoded), std::vector<uint8_t>(data, data + 5));
  EXPECT_EQ(out.Position(), out.Size() - 2);
}

class BitmapTest : public GraphicsTest {};

TEST_F(BitmapTest, StoredFormDataRoundTrips) {
  for (TPixelFormat pf : {pf32bit, pf24bit, pf8bit}) {
    TcxBitmap source(37, 23, pf);
    BitmapTestPaint(&source);
    for (bool compress : {true, false}) {
      source.SetCompressData(compress);
      TMemoryStream form;
      source.WriteData(&form);
      TMemoryStream plain;
      source.TBitmap::WriteData(&plain);
      if (compress) {
        EXPECT_EQ(std::memcmp(static_cast<const char*>(form.Memory()) + 4, "XDBM", 4), 0);
        EXPECT_LT(form.Size(), plain.Size()) << pf;
      } else {
        EXPECT_EQ(BitmapTestBytes(form), BitmapTestBytes(plain));
      }
      form.SetPosition(0);
      TcxBitmap back;
      back.ReadData(&form);
      EXPECT_EQ(form.Position(), form.Size());
      ASSERT_EQ(back.Width(), 37);
      ASSERT_EQ(back.Height(), 23);
      TMemoryStream again;
      back.TBitmap::WriteData(&again);
      EXPECT_EQ(BitmapTestBytes(again), BitmapTestBytes(plain)) << pf << compress;
    }
  }
}

TEST_F(BitmapTest, IdenticalPixelsCompressToRepeatPackets) {
  TcxBitmap32 b(40, 40);
  b.Canvas()->Brush()->SetColor(clTeal);
  b.Canvas()->FillRect(b.ClientRect());
  b.SetCompressData(true);
  TMemoryStream form, plain;
  b.WriteData(&form);
  b.TBitmap::WriteData(&plain);
  const auto bytes = BitmapTestBytes(form);
  ASSERT_GT(bytes.size(), 12u);
  EXPECT_EQ(bytes[10], 4);
  EXPECT_EQ(bytes[11], plain.Size() % 4);
  int32_t size;
  std::memcpy(&size, bytes.data(), 4);
  EXPECT_EQ(size, static_cast<int32_t>(bytes.size()) - 10);
  int repeats = 0;
  for (size_t i = 12 + bytes[11]; i < bytes.size();) {
    if (bytes[i] == 0x7D) ++repeats;
    i += bytes[i] & 0x80 ? 1 + 4 * (bytes[i] & 0x7F) : 5;
  }
  EXPECT_GE(repeats, 40 * 40 / 125 - 1);
}

TEST_F(BitmapTest, ReadingUncompressedFormAndDamagedBlocks) {
  TcxBitmap source(5, 4, pf24bit);
  BitmapTestPaint(&source);
  TMemoryStream plain;
  source.WriteData(&plain);
  plain.SetPosition(0);
  TcxBitmap back;
  back.ReadData(&plain);
  EXPECT_EQ(back.Width(), 5);
  // An unknown version gives the platform reader nothing; its failure applies.
  auto v9 = BitmapTestHeader(2, 9);
  v9.insert(v9.end(), {1, 0});
  TMemoryStream damaged;
  damaged.WriteBuffer(v9.data(), static_cast<int64_t>(v9.size()));
  damaged.SetPosition(0);
  EXPECT_THROW(back.ReadData(&damaged), Exception);
}

// Random mutations of the fuzz target's seeds and of real compressed form data: the reader
// never leaves its input and a bitmap raises only the platform reader's error.
TEST_F(BitmapTest, MutatedBlocks) {
  std::vector<std::vector<uint8_t>> seeds;
  for (const auto& entry : std::filesystem::directory_iterator(QD_TESTS_DIR "/fuzz/corpus/bitmap_block")) {
    std::ifstream in(entry.path(), std::ios::binary);
    seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  ASSERT_FALSE(seeds.empty());
  for (TPixelFormat pf : {pf32bit, pf24bit}) {
    TcxBitmap b(9, 7, pf);
    BitmapTestPaint(&b);
    b.SetCompressData(true);
    TMemoryStream form;
    b.WriteData(&form);
    seeds.push_back(BitmapTestBytes(form));
  }
  std::mt19937 rng(27);
  for (int iteration = 0; iteration < 3000; ++iteration) {
    std::vector<uint8_t> bytes = seeds[static_cast<size_t>(iteration) % seeds.size()];
    for (unsigned edits = 1 + rng() % 4; edits > 0; --edits) {
      const size_t at = bytes.empty() ? 0 : rng() % bytes.size();
      switch (rng() % 4) {
        case 0:
          if (!bytes.empty()) bytes[at] = static_cast<uint8_t>(rng());
          break;
        case 1:
          if (!bytes.empty()) bytes[at] = static_cast<uint8_t>(0x7F | (rng() & 0x80));  // long runs
          break;
        case 2:
          bytes.resize(at);
          break;
        default:
          if (!bytes.empty()) bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at));
          break;
      }
    }
    TBytesStream source(TBytes(bytes.begin(), bytes.end()));
    TMemoryStream decoded;
    cxReadCompressedBitmapBlock(&source, &decoded);
    ASSERT_LE(source.Position(), source.Size());
    ASSERT_LE(decoded.Size(), cxCompressedBitmapMaxDecodedSize);
    source.SetPosition(0);
    TcxBitmap target;
    try {
      target.ReadData(&source);
    } catch (const EInvalidGraphic&) {
    } catch (...) {
      ADD_FAILURE() << "unexpected exception at iteration " << iteration;
    }
  }
}

TEST_F(BitmapTest, UpdatesBatchAndSizesClamp) {
  TcxBitmap b(4, 4);
  b.OnChange = TNotifyEvent(&BitmapTestCountChange);
  BitmapTestChanges = 0;
  b.SetSize(-5, 10);
  EXPECT_EQ(b.Width(), 0);
  EXPECT_EQ(b.Height(), 10);
  EXPECT_EQ(BitmapTestChanges, 1);
  b.SetSize(0, 10);
  EXPECT_EQ(BitmapTestChanges, 1);
  b.BeginUpdate();
  b.EndUpdate(true);
  EXPECT_EQ(BitmapTestChanges, 2);
  b.BeginUpdate();
  b.BeginUpdate();
  b.SetSize(3, 3);
  b.SetSize(4, 4);
  b.EndUpdate();
  EXPECT_EQ(BitmapTestChanges, 2);
  b.EndUpdate();
  EXPECT_EQ(BitmapTestChanges, 3);
  b.BeginUpdate();
  b.SetSize(5, 5);
  b.CancelUpdate();
  EXPECT_EQ(BitmapTestChanges, 3);
  EXPECT_EQ(TcxBitmap(TRect{1, 2, 6, 9}).Height(), 7);
  EXPECT_EQ(TcxBitmap(3, 3).PixelFormat(), pf24bit);
  EXPECT_EQ(TcxBitmap32(3, 3).PixelFormat(), pf32bit);
}

TEST_F(BitmapTest, Bitmap32RefusesOtherFormats) {
  TcxBitmap32 b(3, 3);
  EXPECT_THROW(b.SetPixelFormat(pf24bit), EdxException);
}

RGBQUAD BitmapTestQuad(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  return RGBQUAD{b, g, r, a};
}

bool operator==(const RGBQUAD& a, const RGBQUAD& b) {
  return std::memcmp(&a, &b, sizeof(a)) == 0;
}

TEST_F(BitmapTest, PixelOperations) {
  TcxBitmap32 b(2, 2, true);
  TRGBColors colors;
  b.GetBitmapColors(colors);
  ASSERT_EQ(colors.size(), 4u);
  for (const auto& c : colors) EXPECT_TRUE(c == BitmapTestQuad(0, 0, 0, 0));
  const TRGBColors input = {BitmapTestQuad(200, 100, 50, 255), BitmapTestQuad(255, 0, 255, 255),
                            BitmapTestQuad(10, 20, 30, 0), BitmapTestQuad(255, 0, 255, 0)};
  struct Case {
    const char* name;
    std::function<void(TcxBitmap32&)> op;
    TRGBColors expected;
  } cases[] = {
      {"Darken",
       [](TcxBitmap32& x) { x.Darken(50); },
       {BitmapTestQuad(100, 50, 25, 255), BitmapTestQuad(127, 0, 127, 255), BitmapTestQuad(5, 10, 15, 0),
        BitmapTestQuad(127, 0, 127, 0)}},
      {"Lighten",
       [](TcxBitmap32& x) { x.Lighten(50); },
       {BitmapTestQuad(227, 177, 152, 255), BitmapTestQuad(255, 127, 255, 255),
        BitmapTestQuad(132, 137, 142, 0), BitmapTestQuad(255, 127, 255, 0)}},
      {"RecoverTransparency",
       [](TcxBitmap32& x) { x.RecoverTransparency(clFuchsia); },
       {BitmapTestQuad(200, 100, 50, 255), BitmapTestQuad(0, 0, 0, 0), BitmapTestQuad(10, 20, 30, 255),
        BitmapTestQuad(0, 0, 0, 0)}},
      {"MakeOpaque",
       [](TcxBitmap32& x) { x.MakeOpaque(); },
       {BitmapTestQuad(200, 100, 50, 255), BitmapTestQuad(255, 0, 255, 255), BitmapTestQuad(10, 20, 30, 255),
        BitmapTestQuad(255, 0, 255, 255)}},
      {"Invert",
       [](TcxBitmap32& x) { x.Invert(); },
       {BitmapTestQuad(55, 155, 205, 0), BitmapTestQuad(0, 255, 0, 0), BitmapTestQuad(245, 235, 225, 255),
        BitmapTestQuad(0, 255, 0, 255)}},
  };
  for (const auto& c : cases) {
    b.SetBitmapColors(input);
    c.op(b);
    b.GetBitmapColors(colors);
    ASSERT_EQ(colors.size(), 4u);
    for (size_t i = 0; i < 4; ++i)
      EXPECT_TRUE(colors[i] == c.expected[i])
          << c.name << " " << i << ": " << int(colors[i].rgbRed) << "," << int(colors[i].rgbGreen) << ","
          << int(colors[i].rgbBlue) << "," << int(colors[i].rgbReserved);
  }
  // Filter: destination AND NOT mask.
  TcxBitmap32 mask(2, 2);
  mask.SetBitmapColors({BitmapTestQuad(0xFF, 0, 0, 0), BitmapTestQuad(0, 0, 0, 0xFF),
                        BitmapTestQuad(0, 0, 0, 0), BitmapTestQuad(0xFF, 0xFF, 0xFF, 0xFF)});
  b.SetBitmapColors(input);
  b.Filter(&mask);
  b.GetBitmapColors(colors);
  EXPECT_TRUE(colors[0] == BitmapTestQuad(0, 100, 50, 255));
  EXPECT_TRUE(colors[1] == BitmapTestQuad(255, 0, 255, 0));
  EXPECT_TRUE(colors[2] == input[2]);
  EXPECT_TRUE(colors[3] == BitmapTestQuad(0, 0, 0, 0));
  b.SetBitmapColors(input);
  EXPECT_TRUE(b.IsAlphaUsed());
  b.SetAlphaChannel(0);
  b.BeginUpdate();
  b.EndUpdate(true);
  EXPECT_FALSE(b.IsAlphaUsed());
}

TEST_F(BitmapTest, FlipMirrorsThroughA24BitCopy) {
  TcxBitmap32 b(3, 2);
  // Bottom-up: the first row of the array is the bottom row.
  b.SetBitmapColors({BitmapTestQuad(1, 0, 0, 255), BitmapTestQuad(2, 0, 0, 255), BitmapTestQuad(3, 0, 0, 255),
                     BitmapTestQuad(4, 0, 0, 255), BitmapTestQuad(5, 0, 0, 255),
                     BitmapTestQuad(6, 0, 0, 255)});
  b.Flip(true, false);
  TRGBColors colors;
  b.GetBitmapColors(colors);
  const uint8_t horizontal[] = {3, 2, 1, 6, 5, 4};
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(colors[i].rgbRed, horizontal[i]) << i;
    EXPECT_EQ(colors[i].rgbReserved, 0) << i;
  }
  b.Flip(false, true);
  b.GetBitmapColors(colors);
  const uint8_t both[] = {6, 5, 4, 3, 2, 1};
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(colors[i].rgbRed, both[i]) << i;
  b.Flip(false, false);
  b.GetBitmapColors(colors);
  EXPECT_EQ(colors[0].rgbRed, 6);
}

TEST_F(BitmapTest, ResizeCentresOrStretches) {
  TcxBitmap32 b(2, 2);
  b.SetBitmapColors({BitmapTestQuad(255, 0, 0, 255), BitmapTestQuad(255, 0, 0, 255),
                     BitmapTestQuad(255, 0, 0, 255), BitmapTestQuad(255, 0, 0, 255)});
  b.Resize(4, 4, false, false, clBlue);
  TRGBColors colors;
  b.GetBitmapColors(colors);
  ASSERT_EQ(colors.size(), 16u);
  std::string map;
  for (const auto& c : colors) map += c.rgbRed == 255 ? 'R' : c.rgbBlue == 255 ? 'B' : '?';
  EXPECT_EQ(map, "BBBBBRRBBRRBBBBB");
  TcxBitmap32 s(2, 2);
  s.SetBitmapColors({BitmapTestQuad(0, 255, 0, 255), BitmapTestQuad(0, 255, 0, 255),
                     BitmapTestQuad(0, 255, 0, 255), BitmapTestQuad(0, 255, 0, 255)});
  s.Resize(6, 3, true, false);
  s.GetBitmapColors(colors);
  ASSERT_EQ(colors.size(), 18u);
  for (const auto& c : colors) EXPECT_TRUE(c == BitmapTestQuad(0, 255, 0, 255));
}

TEST_F(BitmapTest, ColorListHoldsQuads) {
  TcxColorList list;
  list.Add(static_cast<TColor>(RGB(0x11, 0x22, 0x33)));
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Items(0), 0x112233u);
  EXPECT_TRUE(list.Contains(0xFF112233));
  EXPECT_FALSE(list.Contains(0x332211));
}

}  // namespace
}  // namespace qd::testing
