// Font families, fonts, string formats, and text measured against text drawn.
#include <algorithm>
#include <climits>
#include <cmath>

#include "gdip_test_util.h"
#include "platform/base/strings.h"

namespace qd::gdiplus::test {
namespace {

using GdipText = GdipTest;

std::u16string FamilyName(GpFontFamily* f) {
  WCHAR name[LF_FACESIZE] = {};
  EXPECT_EQ(GdipGetFamilyName(f, name, 0), Ok);
  return name;
}

struct Family {
  GpFontFamily* f = nullptr;
  Status status;
  explicit Family(const char16_t* name) : status(GdipCreateFontFamilyFromName(name, nullptr, &f)) {}
  ~Family() {
    if (f) GdipDeleteFontFamily(f);
  }
};

struct Font {
  GpFont* f = nullptr;
  Font(GpFontFamily* family, REAL size, INT style = FontStyleRegular, Unit unit = UnitPixel) {
    EXPECT_EQ(GdipCreateFont(family, size, style, unit, &f), Ok);
  }
  ~Font() { GdipDeleteFont(f); }
};

struct Format {
  GpStringFormat* f = nullptr;
  explicit Format(bool typographic = false) {
    if (typographic)
      GdipStringFormatGetGenericTypographic(&f);
    else
      GdipStringFormatGetGenericDefault(&f);
  }
  ~Format() { GdipDeleteStringFormat(f); }
};

// Bounds of the pixels drawn on a canvas.
struct Ink {
  int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
  explicit Ink(const Canvas& c) {
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x)
        if (c.Alpha(x, y)) {
          left = std::min(left, x);
          right = std::max(right, x + 1);
          top = std::min(top, y);
          bottom = std::max(bottom, y + 1);
        }
  }
  bool Any() const { return right >= 0; }
};

TEST_F(GdipText, FamiliesResolveLikeGdiButNeverFallBack) {
  struct Case {
    const char16_t* ask;
    Status status;
    const char16_t* name;
  };
  const Case cases[] = {
      {u"DejaVu Sans", Ok, u"DejaVu Sans"},
      {u"dejavu sans", Ok, u"DejaVu Sans"},  // an installed family reports its own spelling
      {u"Arial", Ok, u"Arial"},              // substituted, reported as asked
      {u"Tahoma", Ok, u"Tahoma"},
      {u"Liberation Mono", Ok, u"Liberation Mono"},
      {u"No Such Family", FontFamilyNotFound, nullptr},
      {u"", FontFamilyNotFound, nullptr},
  };
  for (const Case& k : cases) {
    Family f(k.ask);
    EXPECT_EQ(f.status, k.status) << StringToUtf8(k.ask);
    if (k.name)
      EXPECT_EQ(FamilyName(f.f), k.name);
    else
      EXPECT_EQ(f.f, nullptr);
  }
  for (auto [get, name] : {std::pair{&GdipGetGenericFontFamilySansSerif, u"Microsoft Sans Serif"},
                           std::pair{&GdipGetGenericFontFamilySerif, u"Times New Roman"},
                           std::pair{&GdipGetGenericFontFamilyMonospace, u"Courier New"}}) {
    GpFontFamily* f = nullptr;
    ASSERT_EQ(get(&f), Ok);
    EXPECT_EQ(FamilyName(f), name);
    GdipDeleteFontFamily(f);
  }
}

TEST_F(GdipText, FamilyMetricsInDesignUnits) {
  // Arial is served by a metric-compatible face: the numbers are Arial's.
  Family arial(u"Arial");
  UINT16 em = 0, ascent = 0, descent = 0, spacing = 0;
  ASSERT_EQ(GdipGetEmHeight(arial.f, FontStyleRegular, &em), Ok);
  ASSERT_EQ(GdipGetCellAscent(arial.f, FontStyleRegular, &ascent), Ok);
  ASSERT_EQ(GdipGetCellDescent(arial.f, FontStyleRegular, &descent), Ok);
  ASSERT_EQ(GdipGetLineSpacing(arial.f, FontStyleRegular, &spacing), Ok);
  EXPECT_EQ(em, 2048);
  EXPECT_EQ(ascent, 1854);
  EXPECT_EQ(descent, 434);
  EXPECT_EQ(spacing, 2355);
  BOOL available = FALSE;
  ASSERT_EQ(GdipIsStyleAvailable(arial.f, FontStyleBold | FontStyleItalic, &available), Ok);
  EXPECT_TRUE(available);
}

TEST_F(GdipText, FontsSizesAndLogFonts) {
  Family arial(u"Arial");
  GpFont* font = nullptr;
  EXPECT_EQ(GdipCreateFont(arial.f, 0, 0, UnitPoint, &font), InvalidParameter);
  EXPECT_EQ(GdipCreateFont(arial.f, -3, 0, UnitPoint, &font), InvalidParameter);
  EXPECT_EQ(GdipCreateFont(arial.f, 10, 0, UnitDisplay, &font), InvalidParameter);
  Font pt(arial.f, 12, FontStyleBold | FontStyleUnderline, UnitPoint);
  Canvas c(1, 1);
  REAL height = 0;
  ASSERT_EQ(GdipGetFontHeight(pt.f, c.g, &height), Ok);
  EXPECT_NEAR(height, 16 * 2355.0 / 2048, 0.01);  // 12 pt at 96 dpi is a 16-pixel em
  ASSERT_EQ(GdipGetFontHeightGivenDPI(pt.f, 192, &height), Ok);
  EXPECT_NEAR(height, 32 * 2355.0 / 2048, 0.01);
  INT style = 0;
  GdipGetFontStyle(pt.f, &style);
  EXPECT_EQ(style, FontStyleBold | FontStyleUnderline);

  LOGFONTW lf;
  ASSERT_EQ(GdipGetLogFontW(pt.f, c.g, &lf), Ok);
  EXPECT_EQ(lf.lfHeight, -16);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfUnderline, 1);
  EXPECT_EQ(std::u16string(lf.lfFaceName), u"Arial");

  // Back from the LOGFONT: the em in pixels, in world units.
  GpFont* back = nullptr;
  ASSERT_EQ(GdipCreateFontFromLogfontW(nullptr, &lf, &back), Ok);
  REAL size = 0;
  Unit unit = UnitPoint;
  GdipGetFontSize(back, &size);
  GdipGetFontUnit(back, &unit);
  EXPECT_FLOAT_EQ(size, 16);
  EXPECT_EQ(unit, UnitWorld);
  GpFontFamily* family = nullptr;
  ASSERT_EQ(GdipGetFamily(back, &family), Ok);
  EXPECT_EQ(FamilyName(family), u"Arial");
  GdipDeleteFontFamily(family);
  GdipDeleteFont(back);

  // A positive height is the cell height.
  lf.lfHeight = 22;
  ASSERT_EQ(GdipCreateFontFromLogfontW(nullptr, &lf, &back), Ok);
  GdipGetFontSize(back, &size);
  EXPECT_NEAR(size, 22 * 2048.0 / (1854 + 434), 0.01);
  GdipDeleteFont(back);

  // From the font selected into a DC.
  HDC dc = CreateCompatibleDC(nullptr);
  LOGFONTW gdi;
  gdi.lfHeight = -24;
  std::u16string face = u"Courier New";
  std::copy(face.begin(), face.end(), gdi.lfFaceName);
  HFONT hf = CreateFontIndirectW(&gdi);
  HGDIOBJ old = SelectObject(dc, hf);
  ASSERT_EQ(GdipCreateFontFromDC(dc, &back), Ok);
  GdipGetFontSize(back, &size);
  EXPECT_FLOAT_EQ(size, 24);
  GdipDeleteFont(back);
  SelectObject(dc, old);
  DeleteObject(hf);
  DeleteDC(dc);
}

TEST_F(GdipText, MeasureMatchesWhatIsDrawn) {
  Family sans(u"DejaVu Sans");
  Font font(sans.f, 20);
  Brush black(0xFF000000);
  for (bool typographic : {false, true})
    for (StringAlignment align : {StringAlignmentNear, StringAlignmentCenter, StringAlignmentFar}) {
      Canvas c(200, 60, 0, align == StringAlignmentFar);
      Format format(typographic);
      GdipSetStringFormatAlign(format.f, align);
      GdipSetTextRenderingHint(c.g, TextRenderingHintAntiAlias);
      const std::u16string text = u"Wavy Hxg";
      GpRectF layout{10, 5, 180, 50};
      GpRectF box;
      INT fitted = 0, lines = 0;
      ASSERT_EQ(GdipMeasureString(c.g, text.c_str(), -1, font.f, &layout, format.f, &box, &fitted, &lines),
                Ok);
      EXPECT_EQ(fitted, INT(text.size()));
      EXPECT_EQ(lines, 1);
      ASSERT_EQ(GdipDrawString(c.g, text.c_str(), -1, font.f, &layout, format.f, black), Ok);
      Ink ink(c);
      ASSERT_TRUE(ink.Any());
      // The ink lies inside the measured box, and fills most of its width.
      EXPECT_GE(ink.left, int(box.X) - 1) << typographic << align;
      EXPECT_LE(ink.right, int(std::ceil(box.X + box.Width)) + 1) << typographic << align;
      EXPECT_GE(ink.top, int(box.Y) - 1);
      EXPECT_LE(ink.bottom, int(std::ceil(box.Y + box.Height)) + 1);
      EXPECT_GT(ink.right - ink.left, box.Width * 0.75);
      EXPECT_NEAR(box.Height, 20 * 2384.0 / 2048, 2);  // one line of DejaVu Sans
      if (align == StringAlignmentCenter) {
        EXPECT_NEAR(ink.left - 10, 190 - ink.right, 3);
      }
      if (align == StringAlignmentFar) {
        EXPECT_NEAR(ink.right, 190 - (typographic ? 0 : 20.0 / 6), 3);
      }
    }
}

TEST_F(GdipText, GenericDefaultPadsBothEnds) {
  Family sans(u"DejaVu Sans");
  Font font(sans.f, 24);
  Canvas c(1, 1);
  Format plain, tight(true);
  GpRectF layout{0, 0, 0, 0}, a, b;
  ASSERT_EQ(GdipMeasureString(c.g, u"Hello", 5, font.f, &layout, plain.f, &a, nullptr, nullptr), Ok);
  ASSERT_EQ(GdipMeasureString(c.g, u"Hello", 5, font.f, &layout, tight.f, &b, nullptr, nullptr), Ok);
  EXPECT_NEAR(a.Width - b.Width, 24.0 / 3, 0.01);  // a sixth of the em on each side
  // Trailing spaces count only when asked for.
  GpRectF spaced;
  ASSERT_EQ(GdipMeasureString(c.g, u"Hello   ", 8, font.f, &layout, tight.f, &spaced, nullptr, nullptr), Ok);
  EXPECT_FLOAT_EQ(spaced.Width, b.Width);
  GdipSetStringFormatFlags(tight.f, StringFormatFlagsMeasureTrailingSpaces);
  ASSERT_EQ(GdipMeasureString(c.g, u"Hello   ", 8, font.f, &layout, tight.f, &spaced, nullptr, nullptr), Ok);
  EXPECT_GT(spaced.Width, b.Width + 10);
}

TEST_F(GdipText, WrappingLinesAndTrimming) {
  Family sans(u"DejaVu Sans");
  Font font(sans.f, 16);
  Canvas c(1, 1);
  const std::u16string text = u"one two three four five six";
  struct Case {
    const char* what;
    INT flags;
    StringTrimming trimming;
    GpRectF layout;
    INT lines;
    bool all;
  };
  const Case cases[] = {
      {"wraps at spaces", 0, StringTrimmingNone, {0, 0, 80, 0}, 0, true},
      {"no wrap", StringFormatFlagsNoWrap, StringTrimmingNone, {0, 0, 80, 0}, 1, true},
      {"whole lines only", StringFormatFlagsLineLimit, StringTrimmingWord, {0, 0, 80, 40}, 2, false},
      {"partial last line", 0, StringTrimmingNone, {0, 0, 80, 40}, 3, false},
      {"ellipsis on one line",
       StringFormatFlagsNoWrap,
       StringTrimmingEllipsisCharacter,
       {0, 0, 80, 20},
       1,
       false},
  };
  for (const Case& k : cases) {
    GpStringFormat* f = nullptr;
    ASSERT_EQ(GdipCreateStringFormat(k.flags, 0, &f), Ok);
    GdipSetStringFormatTrimming(f, k.trimming);
    GpRectF box;
    INT fitted = 0, lines = 0;
    ASSERT_EQ(
        GdipMeasureString(c.g, text.c_str(), INT(text.size()), font.f, &k.layout, f, &box, &fitted, &lines),
        Ok);
    if (k.lines) {
      EXPECT_EQ(lines, k.lines) << k.what;
    }
    if (!k.lines) {
      EXPECT_GT(lines, 2) << k.what;
    }
    EXPECT_EQ(fitted == INT(text.size()), k.all) << k.what << " fitted " << fitted;
    if (k.layout.Width > 0) {
      EXPECT_LE(box.Width, k.layout.Width) << k.what;
    }
    if (k.layout.Height > 0) {
      EXPECT_LE(box.Height, k.layout.Height) << k.what;
    }
    GdipDeleteStringFormat(f);
  }
  // A word wider than the line is broken inside.
  GpRectF narrow{0, 0, 30, 0}, box;
  INT lines = 0;
  ASSERT_EQ(GdipMeasureString(c.g, u"abcdefghij", 10, font.f, &narrow, nullptr, &box, nullptr, &lines), Ok);
  EXPECT_GT(lines, 1);
  EXPECT_LE(box.Width, 30);
}

TEST_F(GdipText, CharacterRangesFollowTheLayout) {
  Family sans(u"DejaVu Sans");
  Font font(sans.f, 20);
  Canvas c(1, 1);
  Format format(true);
  const CharacterRange ranges[] = {{0, 2}, {2, 4}, {7, 2}};
  ASSERT_EQ(GdipSetStringFormatMeasurableCharacterRanges(format.f, 3, ranges), Ok);
  INT count = 0;
  GdipGetStringFormatMeasurableCharacterRangeCount(format.f, &count);
  ASSERT_EQ(count, 3);
  GpRegion* regions[3] = {};
  for (auto& r : regions) GdipCreateRegion(&r);
  const std::u16string text = u"abcdef\nxyz";
  GpRectF layout{10, 10, 0, 0};
  ASSERT_EQ(
      GdipMeasureCharacterRanges(c.g, text.c_str(), INT(text.size()), font.f, layout, format.f, 3, regions),
      Ok);
  GpRectF r0, r1, r2, whole;
  GdipGetRegionBounds(regions[0], c.g, &r0);
  GdipGetRegionBounds(regions[1], c.g, &r1);
  GdipGetRegionBounds(regions[2], c.g, &r2);
  ASSERT_EQ(GdipMeasureString(c.g, u"abcdef", 6, font.f, &layout, format.f, &whole, nullptr, nullptr), Ok);
  EXPECT_NEAR(r0.X, 10, 0.5);
  EXPECT_NEAR(r0.X + r0.Width, r1.X, 0.01);  // adjacent ranges touch
  EXPECT_NEAR(r1.X + r1.Width, whole.X + whole.Width, 0.5);
  EXPECT_NEAR(r0.Y, r1.Y, 0.01);
  EXPECT_NEAR(r2.X, 10, 0.5);  // "xy" starts the second line
  EXPECT_NEAR(r2.Y, r0.Y + 20 * 2384.0 / 2048, 0.5);
  // Ranges outside the text and too few regions are refused.
  const CharacterRange beyond[] = {{8, 5}};
  GdipSetStringFormatMeasurableCharacterRanges(format.f, 1, beyond);
  EXPECT_EQ(
      GdipMeasureCharacterRanges(c.g, text.c_str(), INT(text.size()), font.f, layout, format.f, 1, regions),
      InvalidParameter);
  GdipSetStringFormatMeasurableCharacterRanges(format.f, 3, ranges);
  EXPECT_EQ(
      GdipMeasureCharacterRanges(c.g, text.c_str(), INT(text.size()), font.f, layout, format.f, 2, regions),
      InvalidParameter);
  for (auto& r : regions) GdipDeleteRegion(r);
}

TEST_F(GdipText, HotkeyPrefixes) {
  Family sans(u"DejaVu Sans");
  Font font(sans.f, 20);
  Canvas c(1, 1);
  GpRectF layout{0, 0, 0, 0}, plain, prefixed;
  ASSERT_EQ(GdipMeasureString(c.g, u"File", 4, font.f, &layout, nullptr, &plain, nullptr, nullptr), Ok);
  for (HotkeyPrefix mode : {HotkeyPrefixHide, HotkeyPrefixShow}) {
    GpStringFormat* f = nullptr;
    GdipCreateStringFormat(0, 0, &f);
    ASSERT_EQ(GdipSetStringFormatHotkeyPrefix(f, mode), Ok);
    ASSERT_EQ(GdipMeasureString(c.g, u"&File", 5, font.f, &layout, f, &prefixed, nullptr, nullptr), Ok);
    EXPECT_FLOAT_EQ(prefixed.Width, plain.Width) << mode;
    // Shown prefixes underline the letter.
    Canvas d(60, 30);
    Brush black(0xFF000000);
    GpRectF at{0, 0, 60, 30};
    ASSERT_EQ(GdipDrawString(d.g, u"&File", 5, font.f, &at, f, black), Ok);
    int underline = 0;
    int base = int(20 * 1901.0 / 2048) + 1;  // just below the baseline of DejaVu Sans
    for (int y = base; y < base + 3; ++y) underline += d.Alpha(8, y) > 64;
    EXPECT_EQ(underline > 0, mode == HotkeyPrefixShow) << mode;
    GdipDeleteStringFormat(f);
  }
}

TEST_F(GdipText, RightToLeftAndClipping) {
  Family sans(u"DejaVu Sans");
  Font font(sans.f, 16);
  Brush black(0xFF000000);
  GpStringFormat* f = nullptr;
  GdipCreateStringFormat(StringFormatFlagsDirectionRightToLeft, 0, &f);
  Canvas c(120, 20);
  GpRectF layout{0, 0, 120, 20};
  ASSERT_EQ(GdipDrawString(c.g, u"abc", 3, font.f, &layout, f, black), Ok);
  Ink ink(c);
  EXPECT_GT(ink.left, 60);  // near is the right side
  GdipDeleteStringFormat(f);

  // Text is clipped to the layout rectangle unless NoClip.
  for (INT flags : {0, int(StringFormatFlagsNoClip)}) {
    Canvas d(100, 30);
    GdipCreateStringFormat(flags, 0, &f);
    GpRectF small{0, 0, 100, 8};
    ASSERT_EQ(GdipDrawString(d.g, u"Hello", 5, font.f, &small, f, black), Ok);
    Ink k(d);
    EXPECT_EQ(k.bottom > 8, flags != 0) << flags;
    GdipDeleteStringFormat(f);
  }
}

TEST_F(GdipText, StringPathsAndFailures) {
  Family sans(u"DejaVu Sans");
  GpPath* path = nullptr;
  ASSERT_EQ(GdipCreatePath(FillModeAlternate, &path), Ok);
  GpRectF layout{10, 10, 0, 0};
  ASSERT_EQ(GdipAddPathString(path, u"O", 1, sans.f, FontStyleRegular, 40, &layout, nullptr), Ok);
  INT count = 0;
  GdipGetPointCount(path, &count);
  EXPECT_GT(count, 8);
  GpRectF b;
  GdipGetPathWorldBounds(path, &b, nullptr, nullptr);
  EXPECT_GT(b.X, 10);
  EXPECT_NEAR(b.Height, 40 * 0.76, 4);  // a capital's height is about three quarters of the em
  BOOL inside = TRUE;
  GdipIsVisiblePathPoint(path, b.X + b.Width / 2, b.Y + b.Height / 2, nullptr, &inside);
  EXPECT_FALSE(inside);  // the counter of the O
  GdipDeletePath(path);

  Font font(sans.f, 12);
  Brush black(0xFF000000);
  Canvas c(10, 10);
  GpRectF r{0, 0, 10, 10}, box;
  EXPECT_EQ(GdipDrawString(c.g, u"x", 1, nullptr, &r, nullptr, black), InvalidParameter);
  EXPECT_EQ(GdipDrawString(c.g, u"x", 1, font.f, &r, nullptr, nullptr), InvalidParameter);
  EXPECT_EQ(GdipDrawString(c.g, nullptr, 1, font.f, &r, nullptr, black), InvalidParameter);
  EXPECT_EQ(GdipDrawString(c.g, u"", 0, font.f, &r, nullptr, black), Ok);
  INT fitted = -1, lines = -1;
  ASSERT_EQ(GdipMeasureString(c.g, u"", 0, font.f, &r, nullptr, &box, &fitted, &lines), Ok);
  EXPECT_EQ(box.Width, 0);
  EXPECT_EQ(fitted, 0);
  EXPECT_EQ(lines, 0);
  EXPECT_FALSE(Ink(c).Any());

  // Outsized text and far-away rectangles draw what shows, and nothing breaks.
  Font huge(sans.f, 50000);
  Canvas big(64, 64);
  const GpRectF places[] = {
      {-15000, -20000, 0, 0}, {1e9f, 1e9f, 0, 0}, {-1e9f, 0, 2e9f, 1e9f}, {0, 0, 64, 64}};
  for (const GpRectF& at : places)
    EXPECT_EQ(GdipDrawString(big.g, u"I", 1, huge.f, &at, nullptr, black), Ok) << at.X << " " << at.Y;
  EXPECT_TRUE(Ink(big).Any());
}

// Left edges of the cells of single characters, from MeasureCharacterRanges.
std::vector<REAL> CellLefts(const Canvas& c, GpFont* font, GpStringFormat* format,
                            const std::u16string& text) {
  std::vector<CharacterRange> ranges;
  for (INT i = 0; i < INT(text.size()); ++i) ranges.push_back({i, 1});
  EXPECT_EQ(GdipSetStringFormatMeasurableCharacterRanges(format, INT(ranges.size()), ranges.data()), Ok);
  std::vector<GpRegion*> regions(text.size());
  for (auto& r : regions) GdipCreateRegion(&r);
  GpRectF layout{0, 0, 400, 40};
  EXPECT_EQ(GdipMeasureCharacterRanges(c.g, text.c_str(), INT(text.size()), font, layout, format,
                                       INT(regions.size()), regions.data()),
            Ok);
  std::vector<REAL> lefts;
  for (auto& r : regions) {
    GpRectF b{};
    GdipGetRegionBounds(r, c.g, &b);
    lefts.push_back(b.X);
    GdipDeleteRegion(r);
  }
  return lefts;
}

TEST_F(GdipText, BidirectionalOrderAndShaping) {
  Family sans(u"DejaVu Sans");
  Font font(sans.f, 20);
  Canvas c(400, 40);
  // A mixed line: the Hebrew word reads right to left inside the left-to-right line.
  GpStringFormat* f = nullptr;
  GdipCreateStringFormat(0, 0, &f);
  std::vector<REAL> x = CellLefts(c, font.f, f, u"ab \u05D0\u05D1\u05D2");
  EXPECT_LT(x[0], x[1]);
  EXPECT_LT(x[1], x[5]);
  EXPECT_GT(x[3], x[4]);  // alef is right of bet
  EXPECT_GT(x[4], x[5]);
  GdipDeleteStringFormat(f);
  // A right-to-left paragraph puts the trailing neutral at the left.
  GdipCreateStringFormat(StringFormatFlagsDirectionRightToLeft, 0, &f);
  x = CellLefts(c, font.f, f, u"abc!");
  EXPECT_LT(x[3], x[0]);
  EXPECT_LT(x[0], x[1]);
  GdipDeleteStringFormat(f);

  // Arabic is joined (three behs are narrower than three isolated ones) and drawn where measured.
  Format format(true);
  GpRectF layout{0, 0, 0, 0}, one, three;
  ASSERT_EQ(GdipMeasureString(c.g, u"\u0628", 1, font.f, &layout, format.f, &one, nullptr, nullptr), Ok);
  ASSERT_EQ(
      GdipMeasureString(c.g, u"\u0628\u0628\u0628", 3, font.f, &layout, format.f, &three, nullptr, nullptr),
      Ok);
  EXPECT_LT(three.Width, one.Width * 3 - 2);
  const std::u16string word = u"\u0645\u0631\u062D\u0628\u0627";
  GpRectF at{10, 5, 0, 0}, box;
  ASSERT_EQ(
      GdipMeasureString(c.g, word.c_str(), INT(word.size()), font.f, &at, format.f, &box, nullptr, nullptr),
      Ok);
  Brush black(0xFF000000);
  ASSERT_EQ(GdipDrawString(c.g, word.c_str(), INT(word.size()), font.f, &at, format.f, black), Ok);
  Ink ink(c);
  ASSERT_TRUE(ink.Any());
  EXPECT_GE(ink.left, int(box.X) - 1);
  EXPECT_LE(ink.right, int(std::ceil(box.X + box.Width)) + 1);
  EXPECT_GT(ink.right - ink.left, box.Width * 0.75);
}

}  // namespace
}  // namespace qd::gdiplus::test
