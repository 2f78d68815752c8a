// The graphics unit's shared resources: the halftone brush, the screen DPI, the paint skip
// list, the animation timer of smart images, and what shut-down leaves behind.
#include <gtest/gtest.h>

#include <memory>

#include "graphics_test_util.h"
#include "platform/os/gdi.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/graphics/cxGraphicsImages.h"
#include "ui/graphics/cxGraphicsResources.h"
#include "ui/graphics/dxSmartImage.h"
#include "ui/graphics/cxTextLayout.h"

namespace qd {
namespace {

using testing::GraphicsUnitTest;
using testing::TestBitmap;

using ResourcesTest = GraphicsUnitTest;

TEST_F(ResourcesTest, StartUpMakesTheSharedResources) {
  ASSERT_NE(cxHalfToneBrush(), nullptr);
  TestBitmap b(4, 2, 0xFFFFFFFF);
  SetTextColor(b.DC(), RGB(0, 0, 0));
  SetBkColor(b.DC(), RGB(255, 255, 255));
  RECT r{0, 0, 4, 2};
  FillRect(b.DC(), &r, cxHalfToneBrush());
  // A checkerboard: neighbours differ, diagonals agree.
  EXPECT_NE(b.Rgb(0, 0), b.Rgb(1, 0));
  EXPECT_EQ(b.Rgb(0, 0), b.Rgb(1, 1));
  EXPECT_EQ(cxGetPixelsPerInch(), (TPoint{96, 96}));
  EXPECT_EQ(cxGetCurrentDPI(), 96);
  ASSERT_NE(PaintSkipList(), nullptr);
  EXPECT_TRUE(PaintSkipList()->empty());
  EXPECT_NE(FindClass("TcxBitmap32"), nullptr);
  EXPECT_NE(ImageAnimationControllerClass(), &dxCreateBaseAnimationController);

  // Shut-down: nothing is left and the shared canvases are not made again.
  GetDrawBitmap(4, 4);
  cxGraphics::Finalize();
  EXPECT_EQ(cxHalfToneBrush(), nullptr);
  EXPECT_EQ(PaintSkipList(), nullptr);
  EXPECT_EQ(cxScreenCanvas(), nullptr);
  EXPECT_EQ(ImageAnimationControllerClass(), &dxCreateBaseAnimationController);
  cxGraphics::Initialize();
  EXPECT_NE(cxScreenCanvas(), nullptr);
}

TEST_F(ResourcesTest, SmallHelpers) {
  EXPECT_EQ(cxRectExcludeBorders(TRect{10, 10, 20, 20}, TRect{1, 2, 3, 4}, TcxBorders{bLeft, bBottom}),
            (TRect{10, 8, 23, 20}));
  HRGN rgn = CreateRectRgn(0, 0, 5, 5);
  EXPECT_TRUE(cxPtInRegion(rgn, TPoint{4, 4}));
  EXPECT_FALSE(cxPtInRegion(rgn, TPoint{5, 5}));
  DeleteObject(rgn);
  TFont font;
  font.SetName(u"DejaVu Sans");
  font.SetHeight(-30);
  cxResetFont(&font);
  TFont fresh;
  EXPECT_EQ(font.Height(), fresh.Height());
  EXPECT_EQ(font.Name(), fresh.Name());
  LOGFONTW lf{};
  EXPECT_TRUE(cxGetFontData(font.Handle(), lf));
  EXPECT_FALSE(cxGetFontData(nullptr, lf));
}

TEST_F(ResourcesTest, TabbedWidthsBeyondSixteenBitsAreWhole) {
  // GetTabbedTextExtent packs the width into 16 bits; wider tabbed texts take DrawText's.
  HFONT big = CreateFontW(-100, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0,
                          reinterpret_cast<LPCWSTR>(testing::kTestFontName));
  TestBitmap b(1, 1);
  SelectObject(b.DC(), big);
  String text(1000, u'W');
  text += u"\tW";
  TSize size{};
  cxCalcTextExtents(b.DC(), text.data(), static_cast<int32_t>(text.size()), size, true);
  RECT r{0, 0, 0, 0};
  DrawTextW(b.DC(), reinterpret_cast<LPCWSTR>(text.data()), static_cast<int>(text.size()), &r,
            DT_NOPREFIX | DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE);
  ASSERT_GT(r.Right, 0x10000);
  EXPECT_EQ(size.cx, r.Right);
  SelectObject(b.DC(), GetStockObject(SYSTEM_FONT));
  DeleteObject(big);
}

}  // namespace
}  // namespace qd
