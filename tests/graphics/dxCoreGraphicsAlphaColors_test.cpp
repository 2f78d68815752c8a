// Alpha-colour conversions and the colour-name tables.
#include "ui/graphics/dxCoreGraphicsAlphaColors.h"

#include <gtest/gtest.h>

#include "graphics_test_util.h"
#include "platform/base/exceptions.h"
#include "platform/os/user.h"

namespace qd::testing {
namespace {

class AlphaColorsTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    TdxAlphaColors::Initialize();
  }
  void TearDown() override {
    TdxAlphaColors::Finalize();
    GraphicsTest::TearDown();
  }
};

TEST(AlphaColorConversion, SentinelsAndPacking) {
  EXPECT_EQ(dxColorToAlphaColor(clNone, 255), 0u);
  EXPECT_EQ(dxColorToAlphaColor(clDefault, 255), 0x00010203u);
  EXPECT_EQ(dxAlphaColorToColor(0), clNone);
  EXPECT_EQ(dxAlphaColorToColor(0x00010203), clDefault);
  EXPECT_EQ(dxColorToAlphaColor(RGB(0x10, 0x20, 0x30), 0x80), 0x80102030u);
  uint8_t alpha = 1;
  EXPECT_EQ(dxAlphaColorToColor(0x80102030, alpha), static_cast<TColor>(RGB(0x10, 0x20, 0x30)));
  EXPECT_EQ(alpha, 0x80);
  dxAlphaColorToColor(0, alpha);
  EXPECT_EQ(alpha, 0);
  const RGBQUAD q = dxAlphaColorToRGBQuad(0x80102030);
  EXPECT_EQ(q.rgbBlue, 0x30);
  EXPECT_EQ(q.rgbGreen, 0x20);
  EXPECT_EQ(q.rgbRed, 0x10);
  EXPECT_EQ(q.rgbReserved, 0x80);
  EXPECT_EQ(static_cast<uint32_t>(dxRGBQuadToColor(q)), 0x80302010u);
  EXPECT_EQ(dxGetAlpha(0x7F000000), 0x7F);
  EXPECT_EQ(dxColorToRGBQuad(clNone, 0), dxColorToRGBQuad(static_cast<TColor>(ColorToRGB(clNone)), 0));
  EXPECT_TRUE(TdxAlphaColors::IsTransparentOrEmpty(0x00FFFFFF));
  EXPECT_TRUE(TdxAlphaColors::IsTransparentOrEmpty(0));
  EXPECT_FALSE(TdxAlphaColors::IsTransparentOrEmpty(0x01FFFFFF));
}

TEST_F(AlphaColorsTest, FromHtmlReadsHexAndNames) {
  struct Case {
    const Char* text;
    TdxAlphaColor color;
  } cases[] = {
      {u"#0F8", 0xFF00FF88},
      {u"#00ff88", 0xFF00FF88},
      {u"AliceBlue", 0xFFF0F8FF},
      {u"aLiCeBlUe", 0xFFF0F8FF},
      {u"#12345", 0},
      {u"", 0},
      {u"nosuchname", 0},
      {u"LightGrey", 0xFFD3D3D3},
      {u"DarkSeaGreen", 0xFF8FBC8B},
      {u"grey", 0xFF808080},
      {u"#000000", 0xFF000000},
      {u"#FFF", 0xFFFFFFFF},
  };
  for (const auto& c : cases) EXPECT_EQ(TdxAlphaColors::FromHtml(c.text), c.color) << String(c.text).size();
  EXPECT_EQ(TdxAlphaColors::FromHtml(u"buttonface"), TdxAlphaColors::Control());
  EXPECT_EQ(TdxAlphaColors::FromHtml(u"Control"), TdxAlphaColors::Control());
  EXPECT_EQ(TdxAlphaColors::FromHtml(u"threeddarkshadow"), TdxAlphaColors::ControlDarkDark());
}

TEST_F(AlphaColorsTest, FromHtmlRaisesOnlyTheConversionErrorOnBadDigits) {
  for (const Char* text : {u"#00gg88", u"#xyz", u"#-1-1-1", u"# 1 1 1", u"#+1+", u"#0\u00e900ff"})
    EXPECT_THROW(TdxAlphaColors::FromHtml(text), EConvertError) << String(text).size();
}

TEST_F(AlphaColorsTest, ToHtmlNamesAndHexadecimal) {
  struct Case {
    TdxAlphaColor color;
    bool names;
    const Char* text;
  } cases[] = {
      {0xFF00FFFF, true, u"Aqua"},
      {0xFF00FFFF, false, u"#00ffff"},
      {0x8000FF00, true, u"#00ff00"},
      {0xFFD3D3D3, true, u"LightGrey"},
      {0xFFFF00FF, true, u"Fuchsia"},
      {0xFF808080, true, u"Gray"},
      {0, true, u""},
      {0xFF123457, false, u"#123457"},
  };
  for (const auto& c : cases) EXPECT_EQ(TdxAlphaColors::ToHtml(c.color, c.names), c.text) << c.color;
}

TEST_F(AlphaColorsTest, NamedColoursRoundTrip) {
  int named = 0;
  for (uint32_t rgb = 0; rgb < 0x1000000; rgb += 0x010101 * 3 + 0x7) {
    const TdxAlphaColor c = 0xFF000000 | rgb;
    EXPECT_EQ(TdxAlphaColors::FromHtml(TdxAlphaColors::ToHtml(c, false)), c);
  }
  for (const Char* name : {u"Aqua", u"Cyan", u"Magenta", u"YellowGreen", u"RebeccaPurple", u"Grey"}) {
    const TdxAlphaColor c = TdxAlphaColors::FromHtml(name);
    if (c == 0) continue;
    ++named;
    EXPECT_EQ(TdxAlphaColors::FromHtml(TdxAlphaColors::ToHtml(c, true)), c) << String(name).size();
  }
  EXPECT_EQ(named, 5);
  EXPECT_EQ(TdxAlphaColors::ToHtml(TdxAlphaColors::FromHtml(u"Magenta")), u"Fuchsia");
  EXPECT_EQ(TdxAlphaColors::GetColorName(0xFF00FFFE), u"");
}

TEST_F(AlphaColorsTest, SystemColoursFollowTheSystemAndNameTheirValues) {
  const COLORREF oldHighlight = GetSysColor(COLOR_HIGHLIGHT);
  const COLORREF oldHot = GetSysColor(COLOR_HOTLIGHT);
  const COLORREF oldInfo = GetSysColor(COLOR_INFOBK);
  const INT idx[] = {COLOR_HIGHLIGHT, COLOR_HOTLIGHT, COLOR_INFOBK};
  const COLORREF vals[] = {RGB(1, 2, 3), RGB(1, 2, 3), RGB(4, 5, 6)};
  SetSysColors(3, idx, vals);
  EXPECT_EQ(TdxAlphaColors::Highlight(), 0xFF010203u);
  EXPECT_EQ(TdxAlphaColors::FromHtml(u"highlight"), 0xFF010203u);
  EXPECT_EQ(TdxAlphaColors::FromHtml(u"Info"), 0xFF040506u);
  EXPECT_EQ(TdxAlphaColors::ToHtml(0xFF010203, true), u"highlight");
  EXPECT_EQ(TdxAlphaColors::ToHtml(0xFF040506, true), u"infobackground");
  // Highlight alone (HotTrack differs) is not named "highlight".
  const INT idx2[] = {COLOR_HOTLIGHT};
  const COLORREF vals2[] = {RGB(7, 8, 9)};
  SetSysColors(1, idx2, vals2);
  EXPECT_EQ(TdxAlphaColors::ToHtml(0xFF010203, true), u"#010203");
  const COLORREF olds[] = {oldHighlight, oldHot, oldInfo};
  SetSysColors(3, idx, olds);
  EXPECT_EQ(TdxAlphaColors::Highlight(), TdxAlphaColors::GetSystemAlphaColor(TdxAlphaColors::cHighlight));
}

}  // namespace
}  // namespace qd::testing
