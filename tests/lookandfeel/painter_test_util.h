#pragma once
// Pixel probes of the painter tests: a 32-bit bitmap prefilled with a sentinel colour, one
// draw call on its TcxCanvas, and a comparison with an ASCII mask ('#' the expected colour,
// '.' the sentinel, other characters as a legend gives them), plus PNG dumps for looking at
// the result by eye.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "lookandfeel/lookandfeel_test_util.h"
#include "tests/graphics/graphics_test_util.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd::testing {

// With the smart-image units started, for the glyphs and icons that painters load.
class PainterTest : public LookAndFeelTest {
 protected:
  void SetUp() override {
    LookAndFeelTest::SetUp();
    dxSmartImage::Initialize();
    dxGDIPlusImage::Initialize();
  }
  void TearDown() override {
    dxGDIPlusImage::Finalize();
    dxSmartImage::Finalize();
    LookAndFeelTest::TearDown();
  }
};

// A drawing: a sentinel-filled 32-bit bitmap and a TcxCanvas over it.
class PainterProbe {
 public:
  PainterProbe(int AWidth, int AHeight, uint32_t ASentinel = kSentinel)
      : bitmap_(AWidth, AHeight, ASentinel), sentinel_(ASentinel), canvas_(bitmap_.Canvas()) {}

  TcxCanvas* Canvas() { return &canvas_; }
  TestBitmap& Bitmap() { return bitmap_; }
  TRect Bounds() const { return TRect{0, 0, bitmap_.W(), bitmap_.H()}; }
  uint32_t Sentinel() const { return sentinel_; }
  // 0xRRGGBB of a pixel.
  uint32_t Rgb(int x, int y) { return bitmap_.Rgb(x, y); }

  // Compares with rows of a mask. Legend: character -> colour; '.' always means the sentinel
  // and '?' in the mask accepts any pixel. Reports the actual picture in the legend's
  // characters ('?' for colours the legend does not know) and the first differing pixels.
  ::testing::AssertionResult Matches(const std::vector<std::string>& AMask,
                                     const std::map<char, TColor>& ALegend) {
    std::map<char, uint32_t> want;
    for (const auto& [ch, color] : ALegend) want[ch] = ColorPx(color);
    want['.'] = sentinel_ & 0xFFFFFF;
    std::ostringstream diffs;
    int bad = 0;
    bool shapeOk = static_cast<int>(AMask.size()) == bitmap_.H();
    for (const std::string& row : AMask) shapeOk = shapeOk && static_cast<int>(row.size()) == bitmap_.W();
    if (shapeOk)
      for (int y = 0; y < bitmap_.H(); ++y)
        for (int x = 0; x < bitmap_.W(); ++x) {
          const char ch = AMask[y][x];
          if (ch == '?') continue;
          const auto it = want.find(ch);
          const uint32_t px = bitmap_.Rgb(x, y);
          if (it == want.end() || it->second != px) {
            if (++bad <= 8) {
              diffs << "  (" << x << ", " << y << "): expected '" << ch << "' got ";
              diffs << std::hex << "0x" << px << std::dec << "\n";
            }
          }
        }
    if (shapeOk && bad == 0) return ::testing::AssertionSuccess();
    auto result = ::testing::AssertionFailure();
    if (!shapeOk) result << "the mask is not " << bitmap_.W() << " x " << bitmap_.H() << "\n";
    result << "actual:\n" << Picture(want) << "expected:\n";
    for (const std::string& row : AMask) result << row << "\n";
    if (bad) result << bad << " pixels differ, the first:\n" << diffs.str();
    return result;
  }
  // '#' is AColor.
  ::testing::AssertionResult Matches(const std::vector<std::string>& AMask, TColor AColor) {
    return Matches(AMask, {{'#', AColor}});
  }

  // build/<preset>/<name>.png, enlarged by AScale.
  void SavePng(const std::string& AName, int AScale = 8) { bitmap_.SavePng(AName, AScale); }

 private:
  std::string Picture(const std::map<char, uint32_t>& AWant) {
    return bitmap_.Mask([&AWant](uint32_t v) {
      for (const auto& [ch, px] : AWant)
        if (px == (v & 0xFFFFFF)) return ch;
      return '?';
    });
  }

  TestBitmap bitmap_;
  uint32_t sentinel_;
  TcxCanvas canvas_;
};

// Runs ADraw on a sentinel-filled AWidth x AHeight probe and returns it for comparing.
inline std::unique_ptr<PainterProbe> DrawProbe(int AWidth, int AHeight,
                                               const std::function<void(TcxCanvas*, const TRect&)>& ADraw) {
  auto probe = std::make_unique<PainterProbe>(AWidth, AHeight);
  ADraw(probe->Canvas(), probe->Bounds());
  return probe;
}

}  // namespace qd::testing
