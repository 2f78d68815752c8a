// The Office 11 colour scheme: the table of the blue scheme, the system-colour mixes without
// visual styles, refreshing after a system-colour change, reference counting and the grips.
#include <gtest/gtest.h>

#include <memory>

#include "graphics_test_util.h"
#include "platform/os/modules.h"
#include "platform/os/uxtheme.h"
#include "platform/os/uxtheme_testing.h"
#include "ui/core/dxCore.h"
#include "ui/core/dxThemeManager.h"
#include "ui/core/dxUxTheme.h"
#include "ui/graphics/cxGraphicsCaches.h"
#include "ui/graphics/cxGraphicsColors.h"
#include "ui/graphics/dxOffice11.h"

namespace qd {
namespace {

using testing::GraphicsTest;
using testing::TestBitmap;

class Office11Test : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    InitPlatformInfo();  // the Windows version decides how the scheme is detected
    os::RegisterThemeModules();
    os::ResetThemeForTesting();
    dxUxTheme::Initialize();
    dxThemeManager::Initialize();
    savedFace_ = GetSysColor(COLOR_BTNFACE);
  }
  void TearDown() override {
    while (Office11ColorsCounter() > 0) ReleaseOffice11Colors();
    SetFace(savedFace_);
    dxThemeManager::Finalize();
    dxUxTheme::Finalize();
    os::ResetThemeForTesting();
    RefreshOffice11Colors();
    GraphicsTest::TearDown();
  }
  static void SetFace(COLORREF AColor) {
    const INT index = COLOR_BTNFACE;
    SetSysColors(1, &index, &AColor);
  }
  COLORREF savedFace_ = 0;
};

TEST_F(Office11Test, BlueSchemeComesFromTheTable) {
  CreateOffice11Colors();
  EXPECT_EQ(GetOffice11Scheme(), schNormalColor);
  EXPECT_TRUE(IsXPStandardScheme());
  EXPECT_EQ(dxOffice11ToolbarsColor1, static_cast<TColor>(0xFEECDD));
  EXPECT_EQ(dxOffice11BarMarkColors2[0], static_cast<TColor>(0x913500));
  EXPECT_EQ(dxOffice11NavPaneHeaderFontColor, static_cast<TColor>(0xFFFFFF));
  EXPECT_EQ(dxOffice11NavPaneSplitterColor1, dxOffice11NavPaneHeaderColor1);
  EXPECT_EQ(Office11GradientPercent(), 41);
  EXPECT_EQ(dxOffice11GroupIndentColor, static_cast<TColor>(0xC9EEFD));
  EXPECT_EQ(dxOffice11InPlaceSubItemColor, dxOffice11BarBorderMarkColors[3]);
  EXPECT_EQ(dxOffice11MenuNonRecentIndentColor1, dxGetMiddleRGB(dxOffice11ToolbarsColor1, clBlack, 92));
  // Shared brushes are one object.
  EXPECT_EQ(dxOffice11MenuBrush, dxOffice11DropDownBorderBrush2);
  EXPECT_EQ(dxOffice11ToolbarSelectedBrush, dxOffice11DetachableSelectedBrush);
  EXPECT_EQ(dxOffice11StaticBorderBrush, dxOffice11DropDownBorderBrush1);
  ASSERT_NE(dxOffice11SubMenuExpandBitmap, nullptr);
  TestBitmap arrow(7, 9);
  BitBlt(arrow.DC(), 0, 0, 7, 9, dxOffice11SubMenuExpandBitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
  arrow.SavePng("office11_submenu_arrow", 8);
  // The arrow's inside is recoloured by its red shade: the darkest in the second toolbar
  // colour, the lightest in the first; the outline stays black.
  EXPECT_EQ(arrow.Rgb(2, 4), testing::ColorPx(dxOffice11ToolbarsColor2));
  EXPECT_EQ(arrow.Rgb(3, 4), testing::ColorPx(dxOffice11ToolbarsColor1));
  EXPECT_EQ(arrow.Rgb(1, 4), 0u);
}

TEST_F(Office11Test, WithoutVisualStylesTheColoursFollowTheSystemColours) {
  os::SetVisualStylesEnabled(false);
  CreateOffice11Colors();
  EXPECT_EQ(GetOffice11Scheme(), schUnknown);
  EXPECT_FALSE(IsXPStandardScheme());
  EXPECT_EQ(Office11GradientPercent(), 75);
  EXPECT_EQ(dxOffice11DockColor1, ColorToRGB(clBtnFace));
  EXPECT_EQ(dxOffice11ToolbarsColor1, dxGetMiddleRGB(clBtnFace, clWindow, 22));
  const TColor oldBrushColour = dxOffice11ToolbarsColor1;
  // A system-colour change reaches the scheme through the theme manager.
  SetFace(RGB(200, 100, 50));
  EXPECT_EQ(dxOffice11DockColor1, static_cast<TColor>(RGB(200, 100, 50)));
  EXPECT_EQ(dxOffice11ToolbarsColor1, dxGetMiddleRGB(static_cast<TColor>(RGB(200, 100, 50)), clWindow, 22));
  EXPECT_NE(dxOffice11ToolbarsColor1, oldBrushColour);
  EXPECT_EQ(dxOffice11NavPaneGroupCaptionColor1,
            dxGetNearestColor(static_cast<TColor>(
                RGB(200 * 127 / 255 + 128, 100 * 127 / 255 + 128, 50 * 127 / 255 + 128))));
  // The brushes were made again in the new colours.
  LOGBRUSH lb{};
  GetObjectW(dxOffice11BarFingerBrush1, sizeof(lb), &lb);
  EXPECT_EQ(lb.lbColor, ColorToRGB(dxOffice11BarFingerColor1));
}

TEST_F(Office11Test, CreationIsReferenceCounted) {
  RefreshOffice11Colors();
  EXPECT_EQ(dxOffice11MenuBrush, nullptr);  // no creation outstanding: no brushes
  CreateOffice11Colors();
  CreateOffice11Colors();
  ReleaseOffice11Colors();
  EXPECT_NE(dxOffice11MenuBrush, nullptr);
  HBRUSH brush = dxOffice11MenuBrush;
  ReleaseOffice11Colors();
  EXPECT_EQ(dxOffice11MenuBrush, nullptr);
  EXPECT_EQ(GetObjectType(brush), 0u);
  EXPECT_EQ(dxOffice11ExpandButtonBitmap1, nullptr);
  ReleaseOffice11Colors();  // unbalanced: nothing happens
  EXPECT_EQ(Office11ColorsCounter(), 0);
}

TEST_F(Office11Test, SizeGripWithDefaultColoursUsesTheFingerBrushes) {
  CreateOffice11Colors();
  TestBitmap b(20, 20, 0xFFFFFFFF);
  Office11DrawSizeGrip(b.DC(), TRect{0, 0, 20, 20});
  b.SavePng("office11_size_grip", 8);
  int dark = 0, light = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      dark += b.Rgb(x, y) == testing::ColorPx(dxOffice11BarFingerColor1);
      light += b.Rgb(x, y) == testing::ColorPx(dxOffice11BarFingerColor2);
    }
  EXPECT_GT(dark, 0);
  EXPECT_GT(light, 0);
  // Everything sits in the bottom-right corner.
  const TRect drawn = [&] {
    TRect r{20, 20, 0, 0};
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x)
        if (b.Rgb(x, y) != 0xFFFFFF)
          r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
    return r;
  }();
  EXPECT_GE(drawn.Left, 8);
  EXPECT_LE(drawn.Right, 20);
  EXPECT_GE(drawn.Top, 8);
}

TEST_F(Office11Test, SystemColourChangeEmptiesTheBrushCache) {
  TdxSolidBrushCache::Initialize();
  HBRUSH face = TdxSolidBrushCache::Get(clBtnFace);
  SetFace(RGB(1, 2, 3));
  EXPECT_EQ(GetObjectType(face), 0u);
  LOGBRUSH lb{};
  GetObjectW(TdxSolidBrushCache::Get(clBtnFace), sizeof(lb), &lb);
  EXPECT_EQ(lb.lbColor, RGB(1, 2, 3));
  TdxSolidBrushCache::Finalize();
}

}  // namespace
}  // namespace qd
