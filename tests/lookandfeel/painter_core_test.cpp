// The base painter's shared mechanisms: background filling, the operations that only
// descendants implement, and the base answers of the identity operations.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "lookandfeel/painter_test_util.h"
#include "platform/base/exceptions.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd::testing {
namespace {

class PainterCoreTest : public PainterTest {
 protected:
  TcxCustomLookAndFeelPainter painter_;
};

TEST_F(PainterCoreTest, DrawBackgroundFillsTilesOrLeavesAlone) {
  // A 2 x 2 bitmap: white on the diagonal, black elsewhere, so the tiling grid shows.
  TBitmap tile;
  tile.SetPixelFormat(pf32bit);
  tile.SetSize(2, 2);
  tile.Canvas()->SetPixels(0, 0, clWhite);
  tile.Canvas()->SetPixels(1, 1, clWhite);
  tile.Canvas()->SetPixels(1, 0, clBlack);
  tile.Canvas()->SetPixels(0, 1, clBlack);
  const TRect r{1, 1, 5, 4};
  struct Case {
    const char* name;
    bool transparent;
    TBitmap* bitmap;
    std::vector<std::string> mask;
  };
  const std::vector<Case> cases = {
      // Opaque: the colour, even with a bitmap.
      {"opaque with bitmap", false, &tile, {"......", ".RRRR.", ".RRRR.", ".RRRR.", "......"}},
      {"opaque", false, nullptr, {"......", ".RRRR.", ".RRRR.", ".RRRR.", "......"}},
      // Transparent: the bitmap tiled on the canvas grid, or nothing.
      {"transparent with bitmap", true, &tile, {"......", ".W#W#.", ".#W#W.", ".W#W#.", "......"}},
      {"transparent", true, nullptr, {"......", "......", "......", "......", "......"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto probe = DrawProbe(6, 5, [&](TcxCanvas* ACanvas, const TRect&) {
      painter_.DrawBackground(ACanvas, r, c.transparent, clRed, c.bitmap);
    });
    EXPECT_TRUE(probe->Matches(c.mask, {{'R', clRed}, {'W', clWhite}, {'#', clBlack}}));
  }
}

TEST_F(PainterCoreTest, OperationsLeftToDescendantsRaiseAbstractError) {
  TdxScaleFactor* sf = dxSystemScaleFactor();
  PainterProbe probe(8, 8);
  TcxCanvas* c = probe.Canvas();
  const TRect r = probe.Bounds();
  const std::vector<std::pair<const char*, std::function<void()>>> calls = {
      {"DrawScaledExpandButton", [&] { painter_.DrawScaledExpandButton(c, r, true, sf); }},
      {"ScaledExpandButtonSize", [&] { painter_.ScaledExpandButtonSize(sf); }},
      {"DrawScaledSortingMark", [&] { painter_.DrawScaledSortingMark(c, r, true, sf); }},
      {"DrawScaledSummarySortingMark", [&] { painter_.DrawScaledSummarySortingMark(c, r, false, sf); }},
      {"ScaledSortingMarkSize", [&] { painter_.ScaledSortingMarkSize(sf); }},
      {"ScaledSummarySortingMarkSize", [&] { painter_.ScaledSummarySortingMarkSize(sf); }},
      {"DrawScaledFilterDropDownButton",
       [&] { painter_.DrawScaledFilterDropDownButton(c, r, cxbsNormal, false, sf); }},
  };
  for (const auto& [name, call] : calls) {
    SCOPED_TRACE(name);
    EXPECT_THROW(call(), EAbstractError);
  }
  // Nothing was drawn on the way.
  EXPECT_EQ(probe.Bitmap().CountDrawn(), 0);
}

TEST_F(PainterCoreTest, BaseIdentityAnswers) {
  TObject* data = &painter_;
  EXPECT_FALSE(painter_.GetPainterData(data));
  EXPECT_EQ(data, &painter_);  // untouched
  EXPECT_FALSE(painter_.IsInternalPainter());
  EXPECT_TRUE(painter_.LookAndFeelName().empty());
  EXPECT_EQ(painter_.LookAndFeelStyle(), lfsStandard);
  EXPECT_FALSE(painter_.NeedRedrawOnResize());
}

}  // namespace
}  // namespace qd::testing
