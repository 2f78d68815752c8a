// Fonts, metrics, text output and DrawText.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "platform/os/gdi.h"
#include "gdi_test_util.h"

namespace qd {
namespace {

using testing::kSentinel;
using testing::TestDib;

using testing::FontScope;
using testing::Ink;
using testing::MakeFont;

TEST(GdiFont, MetricsFollowTheLogicalHeight) {
  TestDib t(4, 4);
  struct Case {
    const char16_t* face;
    int height;
  } cases[] = {{u"Tahoma", -11},          {u"Segoe UI", -12},     {u"Arial", 16},    {u"Courier New", -13},
               {u"Times New Roman", -20}, {u"MS Sans Serif", 13}, {u"Verdana", -10}, {u"No Such Face", -12}};
  for (const auto& c : cases) {
    FontScope f(t.dc, MakeFont(c.face, c.height));
    TEXTMETRICW tm{};
    ASSERT_TRUE(GetTextMetricsW(t.dc, &tm));
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    if (c.height < 0)
      EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, -c.height) << std::string(c.face, c.face + 3);
    else
      EXPECT_EQ(tm.tmHeight, c.height);
    EXPECT_GT(tm.tmAveCharWidth, 0);
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
    EXPECT_EQ(tm.tmWeight, FW_NORMAL);
    WCHAR name[LF_FACESIZE];
    EXPECT_GT(GetTextFaceW(t.dc, LF_FACESIZE, name), 0);
    EXPECT_EQ(std::u16string(name), std::u16string(c.face));
  }
}

// The desktop's raster faces are not TrueType and draw unrotated whatever their escapement;
// outline faces rotate.
TEST(GdiFont, RasterFacesAreNotTrueTypeAndDoNotRotate) {
  struct Case {
    const char16_t* face;
    bool trueType;
  } cases[] = {{u"MS Sans Serif", false}, {u"System", false}, {u"Tahoma", true}, {u"Segoe UI", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.face, c.face + 4));
    TestDib flat(40, 40), turned(40, 40);
    {
      FontScope f(flat.dc, MakeFont(c.face, -12, FW_NORMAL, NONANTIALIASED_QUALITY));
      TEXTMETRICW tm{};
      ASSERT_TRUE(GetTextMetricsW(flat.dc, &tm));
      EXPECT_EQ((tm.tmPitchAndFamily & TMPF_TRUETYPE) != 0, c.trueType);
      TextOutW(flat.dc, 10, 10, u"Ab", 2);
    }
    {
      FontScope f(turned.dc, MakeFont(c.face, -12, FW_NORMAL, NONANTIALIASED_QUALITY, 900));
      TextOutW(turned.dc, 10, 10, u"Ab", 2);
    }
    EXPECT_EQ(flat.Mask() == turned.Mask(), !c.trueType);
  }
}

TEST(GdiFont, FixedPitchFacesHaveEqualAdvances) {
  TestDib t(4, 4);
  FontScope f(t.dc, MakeFont(u"Courier New", -13));
  INT w[3];
  ASSERT_TRUE(GetCharWidth32W(t.dc, 'i', 'k', w));
  EXPECT_EQ(w[0], w[1]);
  EXPECT_EQ(w[1], w[2]);
  TEXTMETRICW tm{};
  GetTextMetricsW(t.dc, &tm);
  EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);  // the bit means variable pitch
  ABC abc[1];
  ASSERT_TRUE(GetCharABCWidthsW(t.dc, 'W', 'W', abc));
  EXPECT_EQ(abc[0].abcA + static_cast<int>(abc[0].abcB) + abc[0].abcC, w[0]);
}

TEST(GdiText, ExtentEqualsTheAdvanceOfWhatTextOutDraws) {
  TestDib t(200, 30);
  FontScope f(t.dc, MakeFont(u"Tahoma", -13));
  const char16_t* s = u"Hello, world";
  SIZE ext{};
  ASSERT_TRUE(GetTextExtentPoint32W(t.dc, s, 12, &ext));
  SetTextAlign(t.dc, TA_UPDATECP);
  MoveToEx(t.dc, 5, 2, nullptr);
  SetBkMode(t.dc, TRANSPARENT);
  TextOutW(t.dc, 0, 0, s, 12);
  POINT cur;
  GetCurrentPositionEx(t.dc, &cur);
  EXPECT_EQ(cur.X - 5, ext.cx);
  RECT ink = Ink(t);
  EXPECT_GE(ink.Left, 5);
  EXPECT_LE(ink.Right, 5 + ext.cx + 1);
  EXPECT_LE(ink.Bottom, 2 + ext.cy);
  EXPECT_GE(ink.Top, 2);
  t.SavePng("gdi_text_hello");
  // Character extra and the partial extents agree.
  SetTextCharacterExtra(t.dc, 2);
  SIZE ext2{};
  GetTextExtentPoint32W(t.dc, s, 12, &ext2);
  EXPECT_EQ(ext2.cx, ext.cx + 24);
  INT fit = 0, dx[12];
  GetTextExtentExPointW(t.dc, s, 12, ext2.cx / 2, &fit, dx, nullptr);
  EXPECT_EQ(dx[11], ext2.cx);
  EXPECT_LE(dx[fit - 1], ext2.cx / 2);
  EXPECT_GT(dx[fit], ext2.cx / 2);
}

TEST(GdiText, TextAlignmentAndOpaqueBackground) {
  TestDib t(120, 40);
  FontScope f(t.dc, MakeFont(u"Arial", -12));
  SIZE ext{};
  GetTextExtentPoint32W(t.dc, u"Abc", 3, &ext);
  TEXTMETRICW tm{};
  GetTextMetricsW(t.dc, &tm);
  SetBkColor(t.dc, RGB(0, 0, 255));
  SetTextAlign(t.dc, TA_RIGHT | TA_BASELINE);
  TextOutW(t.dc, 100, 30, u"Abc", 3);
  // The opaque cell spans [x - cx, x) and [baseline - ascent, baseline + descent).
  EXPECT_EQ(Ink(t), (RECT{100 - ext.cx, 30 - tm.tmAscent, 100, 30 + tm.tmDescent}));
  EXPECT_EQ(t.At(100 - ext.cx, 30 - tm.tmAscent), 0x000000FFu);  // background colour, alpha 0
}

TEST(GdiText, TextLeavesAlphaZeroAndMonochromeQualityHasTwoColours) {
  TestDib t(80, 20, 0xFFFFFFFF);
  FontScope f(t.dc, MakeFont(u"Tahoma", -12, FW_NORMAL, NONANTIALIASED_QUALITY));
  SetBkMode(t.dc, TRANSPARENT);
  SetTextColor(t.dc, RGB(255, 0, 0));
  TextOutW(t.dc, 2, 2, u"Quick", 5);
  int red = 0;
  for (int i = 0; i < t.w * t.h; ++i) {
    uint32_t v = t.bits[i];
    EXPECT_TRUE(v == 0xFFFFFFFF || v == 0x00FF0000) << std::hex << v;
    red += v == 0x00FF0000;
  }
  EXPECT_GT(red, 20);
  TestDib aa(80, 20, 0xFFFFFFFF);
  FontScope g(aa.dc, MakeFont(u"Tahoma", -12));
  SetBkMode(aa.dc, TRANSPARENT);
  TextOutW(aa.dc, 2, 2, u"Quick", 5);
  int grey = 0;
  for (int i = 0; i < aa.w * aa.h; ++i) {
    uint32_t v = aa.bits[i];
    if (v != 0xFFFFFFFF) {
      EXPECT_EQ(v >> 24, 0u);
    }
    uint32_t r = (v >> 16) & 0xFF;
    grey += r > 0 && r < 255;
  }
  EXPECT_GT(grey, 0);  // antialiased
}

// A 24-bit DIB section gets the same antialiased text as a 32-bit one, edges included.
TEST(GdiText, TextOnA24BitBitmapKeepsItsAntialiasedEdges) {
  constexpr int w = 80, h = 20;
  TestDib reference(w, h, 0xFFFFFFFF);
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO bi = testing::Info32(w, h);
  bi.bmiHeader.biBitCount = 24;
  void* p = nullptr;
  HBITMAP bm = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
  ASSERT_NE(bm, nullptr);
  HGDIOBJ old = SelectObject(dc, bm);
  const int stride = (w * 3 + 3) & ~3;
  auto* bits = static_cast<uint8_t*>(p);
  std::fill(bits, bits + static_cast<size_t>(stride) * h, uint8_t{0xFF});
  for (HDC target : {reference.dc, dc}) {
    FontScope f(target, MakeFont(u"Tahoma", -12));
    SetBkMode(target, TRANSPARENT);
    SetTextColor(target, RGB(0, 0, 128));
    TextOutW(target, 2, 2, u"Quick", 5);
  }
  int edges = 0, different = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint8_t* px = bits + static_cast<size_t>(y) * stride + x * 3;  // B, G, R
      const uint32_t want = reference.Rgb(x, y);
      const int wr = (want >> 16) & 0xFF, wg = (want >> 8) & 0xFF, wb = want & 0xFF;
      if (std::abs(px[2] - wr) > 1 || std::abs(px[1] - wg) > 1 || std::abs(px[0] - wb) > 1) ++different;
      edges += wr > 0 && wr < 255;
    }
  EXPECT_GT(edges, 0);
  EXPECT_EQ(different, 0);
  SelectObject(dc, old);
  DeleteObject(bm);
  DeleteDC(dc);
}

TEST(GdiText, RotatedTextRunsUpwards) {
  TestDib t(40, 120);
  FontScope f(t.dc, MakeFont(u"Arial", -14, FW_NORMAL, DEFAULT_QUALITY, 900));
  SetBkMode(t.dc, TRANSPARENT);
  TextOutW(t.dc, 10, 110, u"Rotated", 7);
  RECT ink = Ink(t);
  t.SavePng("gdi_text_rotated");
  EXPECT_GT(ink.Bottom - ink.Top, 2 * (ink.Right - ink.Left));
  EXPECT_LE(ink.Bottom, 111);
}

// Transformed glyphs are rendered only where the clip lets them show: the visible part is
// the same as in an unclipped drawing, and a glyph magnified far beyond the surface costs no
// more than the surface (a metafile can ask for any magnification).
TEST(GdiText, TransformedGlyphsAreRenderedOnlyInsideTheClip) {
  TestDib whole(100, 100), clipped(100, 100);
  for (TestDib* t : {&whole, &clipped}) {
    FontScope f(t->dc, MakeFont(u"Arial", -70, FW_NORMAL, DEFAULT_QUALITY, 450));
    SetBkMode(t->dc, TRANSPARENT);
    if (t == &clipped) IntersectClipRect(t->dc, 45, 50, 85, 90);
    TextOutW(t->dc, 5, 95, u"WM", 2);
  }
  int inked = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) {
      bool inside = x >= 45 && x < 85 && y >= 50 && y < 90;
      if (!inside) {
        ASSERT_EQ(clipped.At(x, y), testing::kSentinel) << x << "," << y;
        continue;
      }
      ASSERT_EQ(clipped.At(x, y), whole.At(x, y)) << x << "," << y;
      inked += whole.At(x, y) != testing::kSentinel;
    }
  whole.SavePng("gdi_text_transformed_whole");
  clipped.SavePng("gdi_text_transformed_clipped");
  EXPECT_GT(inked, 50);

  TestDib huge(32, 32);
  FontScope f(huge.dc, MakeFont(u"DejaVu Sans", -20));
  SetBkMode(huge.dc, TRANSPARENT);
  SetGraphicsMode(huge.dc, GM_ADVANCED);
  // The middle of a full block, magnified a thousand times, covers the whole surface.
  ABC abc{};
  ASSERT_TRUE(GetCharABCWidthsW(huge.dc, 0x2588, 0x2588, &abc));
  TEXTMETRICW tm{};
  GetTextMetricsW(huge.dc, &tm);
  float cx = abc.abcA + abc.abcB / 2.0f, cy = (tm.tmDescent - tm.tmAscent) / 2.0f;
  XFORM zoom{1000, 0, 0, 1000, 16 - cx * 1000, 16 - cy * 1000};
  SetWorldTransform(huge.dc, &zoom);
  SetTextAlign(huge.dc, TA_BASELINE);
  TextOutW(huge.dc, 0, 0, u"\u2588", 1);
  EXPECT_NE(huge.At(0, 0), testing::kSentinel);
  EXPECT_NE(huge.At(31, 31), testing::kSentinel);
}

TEST(GdiText, ClippedOpaqueExtTextOut) {
  TestDib t(60, 20);
  FontScope f(t.dc, MakeFont(u"Arial", -12));
  RECT r{5, 2, 30, 18};
  SetBkColor(t.dc, RGB(0, 255, 0));
  ExtTextOutW(t.dc, 0, 0, ETO_OPAQUE | ETO_CLIPPED, &r, u"Clipped text", 12, nullptr);
  EXPECT_EQ(Ink(t), r);
  EXPECT_EQ(t.At(29, 17), 0x0000FF00u);
}

class DrawTextFixed : public ::testing::Test {
 protected:
  void SetUp() override {
    font_ = MakeFont(u"Courier New", -13);
    old_ = SelectObject(t.dc, font_);
    INT w;
    GetCharWidth32W(t.dc, 'x', 'x', &w);
    a = w;
    TEXTMETRICW tm{};
    GetTextMetricsW(t.dc, &tm);
    h = tm.tmHeight;
    ave = tm.tmAveCharWidth;
  }
  void TearDown() override {
    SelectObject(t.dc, old_);
    DeleteObject(font_);
  }
  RECT Calc(const char16_t* s, int width, UINT flags, int* result = nullptr) {
    RECT r{10, 10, 10 + width, 1000};
    int res = DrawTextW(t.dc, s, -1, &r, flags | DT_CALCRECT);
    if (result) *result = res;
    return r;
  }
  TestDib t{400, 200};
  HFONT font_;
  HGDIOBJ old_;
  int a = 0, h = 0, ave = 0;
};

TEST_F(DrawTextFixed, CalcRectMatrix) {
  struct Case {
    const char16_t* text;
    int width;  // in characters
    UINT flags;
    int wantWidth;  // in characters
    int wantLines;
  } cases[] = {
      {u"abc def", 50, DT_SINGLELINE, 7, 1},
      {u"abc def", 5, DT_WORDBREAK, 3, 2},
      {u"abc def ghi", 8, DT_WORDBREAK, 7, 2},
      {u"abcdefgh", 3, DT_WORDBREAK, 8, 1},                   // a long word stays whole
      {u"abcdefgh", 3, DT_WORDBREAK | DT_EDITCONTROL, 3, 3},  // unless an edit control breaks it
      {u"ab\r\ncd\nef", 50, 0, 2, 3},
      {u"ab\r\ncdef", 50, DT_SINGLELINE, 6, 1},
      {u"&File", 50, DT_SINGLELINE, 4, 1},
      {u"&File", 50, DT_SINGLELINE | DT_NOPREFIX, 5, 1},
      {u"a&&b", 50, DT_SINGLELINE, 3, 1},
      {u"one two three four", 9, DT_WORDBREAK, 7, 3},
  };
  for (const auto& c : cases) {
    int res = 0;
    RECT r = Calc(c.text, c.width * a, c.flags, &res);
    std::string name(c.text, c.text + std::char_traits<char16_t>::length(c.text));
    EXPECT_EQ(r.Right - r.Left, c.wantWidth * a) << name << " " << c.flags;
    EXPECT_EQ(r.Bottom - r.Top, c.wantLines * h) << name << " " << c.flags;
    EXPECT_EQ(res, c.wantLines * h) << name;
    EXPECT_EQ(r.Left, 10);
    EXPECT_EQ(r.Top, 10);
  }
}

TEST_F(DrawTextFixed, EllipsesRewriteTheStringWhenAsked) {
  struct Case {
    const char16_t* text;
    int width;
    UINT flags;
    const char16_t* shown;
  } cases[] = {
      {u"abcdefgh", 6, DT_END_ELLIPSIS, u"abc..."},
      {u"abcdef", 6, DT_END_ELLIPSIS, u"abcdef"},
      {u"aaa bbb ccc", 9, DT_WORD_ELLIPSIS, u"aaa..."},
      {u"c:\\dir\\sub\\file.txt", 16, DT_PATH_ELLIPSIS, u"c:\\d...\\file.txt"},
  };
  for (const auto& c : cases) {
    char16_t buf[64] = {};
    std::char_traits<char16_t>::copy(buf, c.text, std::char_traits<char16_t>::length(c.text));
    RECT r{0, 0, c.width * a, 50};
    DrawTextW(t.dc, buf, -1, &r, c.flags | DT_SINGLELINE | DT_MODIFYSTRING | DT_NOPREFIX);
    EXPECT_EQ(std::u16string(buf), std::u16string(c.shown));
    RECT calc{0, 0, c.width * a, 50};
    std::char_traits<char16_t>::copy(buf, c.text, std::char_traits<char16_t>::length(c.text) + 1);
    DrawTextW(t.dc, buf, -1, &calc, c.flags | DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_LE(calc.Right, c.width * a);
  }
}

TEST_F(DrawTextFixed, VerticalAlignmentAndReturnValue) {
  RECT r{0, 0, 200, 100};
  EXPECT_EQ(DrawTextW(t.dc, u"x", -1, &r, DT_SINGLELINE | DT_VCENTER | DT_CALCRECT), (100 - h) / 2 + h);
  r = {0, 0, 200, 100};
  EXPECT_EQ(DrawTextW(t.dc, u"x", -1, &r, DT_SINGLELINE | DT_BOTTOM), 100);
  r = {0, 0, 200, 100};
  EXPECT_EQ(DrawTextW(t.dc, u"", -1, &r, DT_SINGLELINE), 0);
  EXPECT_EQ(DrawTextW(t.dc, u"x\ny", -1, &r, 0), 2 * h);
}

TEST_F(DrawTextFixed, ExpandTabsUsesEightAverageCharacters) {
  RECT r = Calc(u"a\tb", 100 * a, DT_SINGLELINE | DT_EXPANDTABS);
  EXPECT_EQ(r.Right - r.Left, 8 * ave + a);
  DRAWTEXTPARAMS params;
  params.iTabLength = 4;
  char16_t s[] = u"a\tb";
  r = {10, 10, 10 + 100 * a, 1000};
  DrawTextExW(t.dc, s, -1, &r, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT, &params);
  EXPECT_EQ(r.Right - r.Left, 4 * ave + a);
  EXPECT_EQ(params.uiLengthDrawn, 3u);
  EXPECT_EQ(LOWORD(GetTabbedTextExtentW(t.dc, u"a\tb", 3, 0, nullptr)), 8 * ave + a);
  INT stop = 50;
  EXPECT_EQ(LOWORD(GetTabbedTextExtentW(t.dc, u"a\tb", 3, 1, &stop)), 50 + a);
}

TEST_F(DrawTextFixed, DrawnTextStaysInsideTheCalculatedRectangle) {
  struct Case {
    const char16_t* text;
    UINT flags;
  } cases[] = {{u"Left aligned", DT_LEFT},
               {u"Centred text", DT_CENTER},
               {u"Right", DT_RIGHT},
               {u"word wrapped text in a narrow box", DT_WORDBREAK}};
  for (const auto& c : cases) {
    t.Fill(kSentinel);
    RECT calc{20, 20, 120, 20};
    DrawTextW(t.dc, c.text, -1, &calc, c.flags | DT_CALCRECT);
    RECT draw = calc;
    SetBkMode(t.dc, TRANSPARENT);
    DrawTextW(t.dc, c.text, -1, &draw, c.flags | DT_NOCLIP);
    RECT ink = Ink(t);
    EXPECT_GE(ink.Left, calc.Left);
    EXPECT_LE(ink.Right, calc.Right + 1);
    EXPECT_GE(ink.Top, calc.Top);
    EXPECT_LE(ink.Bottom, calc.Bottom);
  }
}

TEST_F(DrawTextFixed, PrefixUnderlineAndHiddenPrefix) {
  SetBkMode(t.dc, TRANSPARENT);
  RECT r{0, 0, 100, 30};
  DrawTextW(t.dc, u"&a", -1, &r, DT_SINGLELINE);
  std::string shown = t.Mask();
  int underRow = -1;
  for (int y = 0; y < 30; ++y) {
    int n = 0;
    for (int x = 0; x < a; ++x) n += t.At(x, y) == 0;
    if (n == a) underRow = y;
  }
  EXPECT_GT(underRow, 0);  // a full black row under the letter
  t.Fill(kSentinel);
  DrawTextW(t.dc, u"&a", -1, &r, DT_SINGLELINE | DT_HIDEPREFIX);
  for (int x = 0; x < a; ++x) EXPECT_NE(t.At(x, underRow), 0u);
  t.Fill(kSentinel);
  DrawTextW(t.dc, u"&a", -1, &r, DT_SINGLELINE | DT_PREFIXONLY);
  int inked = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 100; ++x) inked += t.At(x, y) != kSentinel && y != underRow;
  EXPECT_EQ(inked, 0);
}

// Also written as a picture (gdi_text_fonts.png in the build folder) to look at by eye.
TEST(GdiText, EllipsisKeepsEveryFontInsideItsLine) {
  TestDib t(320, 160);
  HFONT fonts[] = {MakeFont(u"Tahoma", -11),
                   MakeFont(u"Segoe UI", -12),
                   MakeFont(u"Arial", -12, FW_BOLD),
                   MakeFont(u"Times New Roman", -16, FW_NORMAL, DEFAULT_QUALITY, 0, true),
                   MakeFont(u"Courier New", -13),
                   MakeFont(u"Tahoma", -11, FW_NORMAL, NONANTIALIASED_QUALITY)};
  SetBkMode(t.dc, TRANSPARENT);
  int y = 4;
  std::vector<RECT> lines;
  for (HFONT f : fonts) {
    HGDIOBJ old = SelectObject(t.dc, f);
    RECT r{4, y, 200, y + 22};
    DrawTextW(t.dc, u"&File Ação — The quick brown fox jumps", -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS);
    lines.push_back(r);
    y += 25;
    SelectObject(t.dc, old);
    DeleteObject(f);
  }
  t.SavePng("gdi_text_fonts");
  for (const RECT& r : lines) {
    int inked = 0;
    for (int yy = r.Top; yy < r.Bottom; ++yy)
      for (int x = 0; x < t.w; ++x)
        if (t.At(x, yy) != kSentinel) {
          ++inked;
          EXPECT_TRUE(x >= r.Left && x < r.Right) << x << "," << yy;
        }
    EXPECT_GT(inked, 100) << r.Top;
  }
}

}  // namespace
}  // namespace qd

namespace qd {
namespace {

TEST(GdiText, MirroredWorldTransformMirrorsText) {
  testing::TestDib plain(60, 20), mirrored(60, 20);
  for (testing::TestDib* t : {&plain, &mirrored}) {
    HFONT f = CreateFontW(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, NONANTIALIASED_QUALITY, 0, u"Arial");
    HGDIOBJ old = SelectObject(t->dc, f);
    SetBkMode(t->dc, TRANSPARENT);
    if (t == &mirrored) {
      SetGraphicsMode(t->dc, GM_ADVANCED);
      XFORM flip{-1, 0, 0, 1, 59, 0};
      SetWorldTransform(t->dc, &flip);
    }
    TextOutW(t->dc, 2, 2, u"Fb", 2);
    SelectObject(t->dc, old);
    DeleteObject(f);
  }
  // The mirrored picture is the plain one reflected about the vertical axis (within a pixel).
  int same = 0, inked = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) {
      bool a = plain.At(x, y) != testing::kSentinel;
      if (!a) continue;
      ++inked;
      bool hit = false;
      for (int dx = -1; dx <= 1; ++dx) {
        int mx = 59 - x + dx;
        if (mx >= 0 && mx < 60 && mirrored.At(mx, y) != testing::kSentinel) hit = true;
      }
      same += hit;
    }
  EXPECT_GT(inked, 20);
  EXPECT_GE(same * 10, inked * 9);
}

}  // namespace
}  // namespace qd
