#pragma once
// Fixture and pixel helpers of the graphics tests: the forms library started, 32-bit memory
// bitmaps prefilled with a sentinel, read back as masks, and PNG dumps into the build folder
// for looking at by eye.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/classes/streams.h"
#include "platform/forms/forms_init.h"
#include "platform/forms/graphics.h"
#include "platform/gdiplus/codec_io.h"
#include "ui/graphics/cxGraphics.h"

namespace qd {

inline std::ostream& operator<<(std::ostream& os, const TRect& r) {
  return os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

}  // namespace qd

namespace qd::testing {

// A colour as 0xRRGGBB, for comparing with pixels.
inline uint32_t ColorPx(TColor c) {
  const COLORREF rgb = ColorToRGB(c);
  return (GetRValue(rgb) << 16) | (GetGValue(rgb) << 8) | GetBValue(rgb);
}

constexpr uint32_t kSentinel = 0xA5FF00FF;  // magenta with a recognisable alpha

// The fixed font of text tests.
inline const Char* kTestFontName = u"DejaVu Sans";

class GraphicsTest : public ::testing::Test {
 protected:
  void SetUp() override { forms::Initialize(); }
  void TearDown() override { forms::Finalize(); }
};

// With the graphics unit started as well.
class GraphicsUnitTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    cxGraphics::Initialize();
  }
  void TearDown() override {
    cxGraphics::Finalize();
    GraphicsTest::TearDown();
  }
};

// A 32-bit bitmap (rows top-down in At) filled with a value.
class TestBitmap {
 public:
  TestBitmap(int AWidth, int AHeight, uint32_t AFill = kSentinel) {
    bitmap_.SetPixelFormat(pf32bit);
    bitmap_.SetSize(AWidth, AHeight);
    Fill(AFill);
  }
  TBitmap* Bitmap() { return &bitmap_; }
  TCanvas* Canvas() { return bitmap_.Canvas(); }
  HDC DC() { return bitmap_.Canvas()->Handle(); }
  int W() const { return bitmap_.Width(); }
  int H() const { return bitmap_.Height(); }

  uint32_t& Px(int x, int y) { return static_cast<uint32_t*>(bitmap_.ScanLine(y))[x]; }
  uint32_t At(int x, int y) { return Px(x, y); }
  uint32_t Rgb(int x, int y) { return Px(x, y) & 0xFFFFFF; }
  void Fill(uint32_t v) {
    for (int y = 0; y < H(); ++y)
      for (int x = 0; x < W(); ++x) Px(x, y) = v;
  }
  // One character per pixel, rows separated by '\n'.
  std::string Mask(const std::function<char(uint32_t)>& f) {
    std::string s;
    for (int y = 0; y < H(); ++y) {
      for (int x = 0; x < W(); ++x) s += f(At(x, y));
      s += '\n';
    }
    return s;
  }
  // '.' for the sentinel, '#' for anything drawn.
  std::string Mask() {
    return Mask([](uint32_t v) { return v == kSentinel ? '.' : '#'; });
  }
  // '#' where the RGB is that of `color` (a TColor, resolved), '.' elsewhere.
  std::string MaskOf(TColor color) {
    const COLORREF c = ColorToRGB(color);
    const uint32_t want = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    return Mask([want](uint32_t v) { return (v & 0xFFFFFF) == want ? '#' : '.'; });
  }
  // Pixels whose RGB differs from the sentinel's.
  int CountDrawn() {
    int n = 0;
    for (int y = 0; y < H(); ++y)
      for (int x = 0; x < W(); ++x) n += (At(x, y) & 0xFFFFFF) != (kSentinel & 0xFFFFFF);
    return n;
  }
  // The bounding box of the drawn pixels (all zero when none).
  TRect DrawnBounds() {
    TRect r{W(), H(), 0, 0};
    for (int y = 0; y < H(); ++y)
      for (int x = 0; x < W(); ++x)
        if ((At(x, y) & 0xFFFFFF) != (kSentinel & 0xFFFFFF)) {
          r.Left = std::min(r.Left, x);
          r.Top = std::min(r.Top, y);
          r.Right = std::max(r.Right, x + 1);
          r.Bottom = std::max(r.Bottom, y + 1);
        }
    return r.IsEmpty() ? TRect{} : r;
  }
  // build/<preset>/<name>.png, opaque, enlarged by AScale.
  void SavePng(const std::string& name, int AScale = 1) {
    std::vector<uint32_t> px(static_cast<size_t>(W() * AScale) * H() * AScale);
    for (int y = 0; y < H() * AScale; ++y)
      for (int x = 0; x < W() * AScale; ++x)
        px[static_cast<size_t>(y) * W() * AScale + x] = 0xFF000000u | At(x / AScale, y / AScale);
    std::vector<uint8_t> out;
    if (codecs::Encode(codecs::MakeImage(W() * AScale, H() * AScale, std::move(px)), codecs::ImageFormat::PNG,
                       out) != codecs::Status::Ok)
      return;
    TMemoryStream s;
    s.Write(out.data(), static_cast<int64_t>(out.size()));
    s.SaveToFile(String(u"" QD_BINARY_DIR "/") + String(name.begin(), name.end()) + u".png");
  }

 private:
  TBitmap bitmap_;
};

inline std::string Rows(std::initializer_list<const char*> rows) {
  std::string s;
  for (const char* r : rows) {
    s += r;
    s += '\n';
  }
  return s;
}

}  // namespace qd::testing
