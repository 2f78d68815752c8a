// GDI+ string formats, font families and fonts, text on the GDI+ canvas and text in paths.
#include <gtest/gtest.h>

#include <memory>

#include "platform/base/exceptions.h"
#include "tests/graphics/dxGDIPlus_test_util.h"

namespace qd {
namespace {

using GdipTextTest = testing::GdipClassesFixture;

// The status of the EdxGdipException a call raises, or Ok.
template <class F>
Status GdipTextRaised(F&& AProc) {
  try {
    AProc();
  } catch (const EdxGdipException& e) {
    return e.GetStatus();
  }
  return gdiplus::Ok;
}

TEST_F(GdipTextTest, StringFormatSettingsLiveOnTheHandleAndCopy) {
  TdxGPStringFormat format;
  format.SetAlignment(gdiplus::StringAlignmentCenter);
  format.SetLineAlignment(gdiplus::StringAlignmentFar);
  format.SetFormatFlags(gdiplus::StringFormatFlagsNoWrap);
  format.SetTrimming(gdiplus::StringTrimmingEllipsisWord);
  format.SetHotkeyPrefix(gdiplus::HotkeyPrefixShow);
  const float tabs[] = {20, 30};
  format.SetTabStops(5, 2, tabs);
  format.SetDigitSubstitution(0x0416, gdiplus::StringDigitSubstituteNone);
  const TdxGpCharacterRange ranges[] = {{0, 1}, {2, 3}};
  format.SetMeasurableCharacterRanges(2, ranges);

  std::unique_ptr<TdxGPStringFormat> copy(format.Clone());
  for (TdxGPStringFormat* f : {&format, copy.get()}) {
    EXPECT_EQ(f->Alignment(), gdiplus::StringAlignmentCenter);
    EXPECT_EQ(f->LineAlignment(), gdiplus::StringAlignmentFar);
    EXPECT_EQ(f->FormatFlags(), gdiplus::StringFormatFlagsNoWrap);
    EXPECT_EQ(f->Trimming(), gdiplus::StringTrimmingEllipsisWord);
    EXPECT_EQ(f->HotkeyPrefix(), gdiplus::HotkeyPrefixShow);
    EXPECT_EQ(f->TabStopCount(), 2);
    float first = 0;
    EXPECT_EQ(f->GetTabStops(2, first), (std::vector<float>{20, 30}));
    EXPECT_FLOAT_EQ(first, 5);
    EXPECT_EQ(f->DigitSubstitutionLanguage(), 0x0416);
    EXPECT_EQ(f->DigitSubstitutionMethod(), gdiplus::StringDigitSubstituteNone);
    EXPECT_EQ(f->MeasurableCharacterRangeCount(), 2);
  }
  TdxGPStringFormat other;
  other.Assign(&format);
  EXPECT_EQ(other.Alignment(), gdiplus::StringAlignmentCenter);
  EXPECT_NE(other.Handle(), format.Handle());

  EXPECT_EQ(TdxGPStringFormat::GenericDefault(), TdxGPStringFormat::GenericDefault());
  EXPECT_NE(TdxGPStringFormat::GenericTypographic(), TdxGPStringFormat::GenericDefault());
  EXPECT_EQ(GdipTextRaised([] { TdxGPStringFormat f(static_cast<TdxGPStringFormat*>(nullptr)); }),
            gdiplus::InvalidParameter);
}

TEST_F(GdipTextTest, FamiliesByNameAndTheGenericOnes) {
  TdxGPFontFamily known(testing::kTestFontName);
  ASSERT_NE(known.Handle(), nullptr);
  EXPECT_EQ(known.Name(), String(testing::kTestFontName));
  EXPECT_GT(known.GetEmHeight(0), 0);
  EXPECT_GT(known.GetLineSpacing(0), known.GetCellAscent(0));
  EXPECT_TRUE(known.IsStyleAvailable(gdiplus::FontStyleBold));
  std::unique_ptr<TdxGPFontFamily> clone(known.Clone());
  EXPECT_EQ(clone->Name(), known.Name());

  TdxGPFontFamily unknown(u"No Such Family 1234");  // no exception, no handle
  EXPECT_EQ(unknown.Handle(), nullptr);

  ASSERT_NE(TdxGPFontFamily::GenericSansSerif(), nullptr);
  EXPECT_EQ(TdxGPFontFamily::GenericSansSerif(), TdxGPFontFamily::GenericSansSerif());
  EXPECT_FALSE(TdxGPFontFamily::GenericSerif()->Name().empty());
  EXPECT_FALSE(TdxGPFontFamily::GenericMonospace()->Name().empty());
}

TEST_F(GdipTextTest, FontsValidateTheirSizeAndFamily) {
  for (float size : {0.f, -3.f, NAN}) {
    try {
      TdxGPFont font(testing::kTestFontName, size);
      ADD_FAILURE() << size;
    } catch (const EdxGdipException& e) {
      EXPECT_EQ(e.GetStatus(), gdiplus::InvalidParameter);
      EXPECT_EQ(e.Message(), u"Invalid operation in GDI+ (Code: 2)");
    }
  }
  // An unknown family: GDI+ refuses the font; SafeCreate falls back to the sans-serif family.
  EXPECT_EQ(GdipTextRaised([] { TdxGPFont font(u"No Such Family 1234", 10); }), gdiplus::InvalidParameter);
  std::unique_ptr<TdxGPFont> safe(TdxGPFont::SafeCreate(u"No Such Family 1234", 10));
  EXPECT_EQ(safe->FontFamily(), TdxGPFontFamily::GenericSansSerif());
  EXPECT_EQ(safe->OriginalFontName(), u"No Such Family 1234");
  EXPECT_EQ(GdipTextRaised([] { TdxGPFont font(static_cast<TdxGPFontFamily*>(nullptr), 10); }),
            gdiplus::FontFamilyNotFound);

  TdxGPFont font(testing::kTestFontName, 9.5f, 6);
  EXPECT_FALSE(font.Bold());
  EXPECT_TRUE(font.Italic());
  EXPECT_TRUE(font.Underline());
  EXPECT_FALSE(font.Strikeout());
  EXPECT_FLOAT_EQ(font.Size(), 9.5f);
  EXPECT_EQ(font.Unit(), guPoint);
  EXPECT_EQ(font.Name(), String(testing::kTestFontName));
  // (6 rotl 13) xor (3 rotl 26) xor (round(9.5) = 10 rotl 7)
  EXPECT_EQ(font.GetHashCode(), (6u << 13) ^ (3u << 26) ^ (10u << 7));
  TdxGPFont bold(&font, gdiplus::FontStyleBold);
  EXPECT_TRUE(bold.Bold());
  EXPECT_EQ(bold.FontFamily(), font.FontFamily());

  // 16 pixels are 12 points at 96 DPI.
  TdxGPFont pixels(testing::kTestFontName, 16, guPixel);
  EXPECT_NEAR(pixels.SizeInPoints(), 12, 0.05);
  EXPECT_NEAR(pixels.GetHeight(96), pixels.GetHeight(), 0.01);
  EXPECT_EQ(pixels.Height(), static_cast<int32_t>(std::ceil(pixels.GetHeight())));
  EXPECT_EQ(GdipTextRaised([&] { pixels.GetHeight(static_cast<TdxGPCanvas*>(nullptr)); }),
            gdiplus::InvalidParameter);
}

TEST_F(GdipTextTest, VerticalNamesAndLogFonts) {
  EXPECT_FALSE(TdxGPFont::IsVerticalName(u""));
  EXPECT_TRUE(TdxGPFont::IsVerticalName(u"@Arial"));
  EXPECT_EQ(TdxGPFont::StripVerticalName(u"@"), u"@");
  EXPECT_EQ(TdxGPFont::StripVerticalName(u"@Arial"), u"Arial");

  TdxGPFont vertical(String(u"@") + testing::kTestFontName, 10);
  EXPECT_TRUE(vertical.GdiVerticalFont());
  EXPECT_EQ(vertical.Name(), String(testing::kTestFontName));
  LOGFONTW lf{};
  vertical.ToLogFont(lf);
  EXPECT_EQ(String(reinterpret_cast<const Char*>(lf.lfFaceName)), String(u"@") + testing::kTestFontName);
  EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
  EXPECT_EQ(GdipTextRaised([&] { vertical.ToLogFont(lf, nullptr); }), gdiplus::InvalidParameter);

  std::unique_ptr<TdxGPFont> fromLog(TdxGPFont::FromLogFont([&] {
    LOGFONTW l{};
    l.lfHeight = -16;
    l.lfWeight = 700;
    const String name = testing::kTestFontName;
    std::copy(name.begin(), name.end(), l.lfFaceName);
    return l;
  }()));
  EXPECT_TRUE(fromLog->Bold());
  EXPECT_EQ(fromLog->Name(), String(testing::kTestFontName));
  LOGFONTW back{};
  fromLog->ToLogFont(back);
  EXPECT_EQ(back.lfHeight, -16);
  HFONT h = fromLog->ToHfont();
  ASSERT_NE(h, nullptr);
  std::unique_ptr<TdxGPFont> fromH(TdxGPFont::FromHFont(h));
  EXPECT_NEAR(fromH->GetHeight(), fromLog->GetHeight(), 0.5);
  DeleteObject(h);
  std::unique_ptr<TdxGPFont> clone(fromLog->Clone());
  EXPECT_TRUE(clone->Bold());
}

TEST_F(GdipTextTest, CanvasDrawsWhereItMeasures) {
  testing::TestBitmap bmp(120, 60, 0xFFFFFFFF);
  TdxGPFont font(testing::kTestFontName, 20, guPixel);
  TdxGPBrush brush;
  brush.SetColor(0xFF000000);
  TdxSizeF size;
  {
    TdxGPCanvas canvas(bmp.DC());
    canvas.SetSmoothingMode(smAntiAlias);
    size = canvas.MeasureString(u"Hello", &font);
    canvas.DrawString(u"Hello", &font, &brush, 10, 10);
  }
  bmp.SavePng("gdip_text_hello", 4);
  // Drawn ink lies inside the measured box at (10, 10) and fills most of its width.
  TRect ink{bmp.W(), bmp.H(), 0, 0};
  for (int y = 0; y < bmp.H(); ++y)
    for (int x = 0; x < bmp.W(); ++x)
      if ((bmp.At(x, y) & 0xFF) < 128) {
        ink.Left = std::min(ink.Left, x);
        ink.Top = std::min(ink.Top, y);
        ink.Right = std::max(ink.Right, x + 1);
        ink.Bottom = std::max(ink.Bottom, y + 1);
      }
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_GE(ink.Left, 10);
  EXPECT_GE(ink.Top, 10);
  EXPECT_LE(ink.Right, 10 + std::ceil(size.cx));
  EXPECT_LE(ink.Bottom, 10 + std::ceil(size.cy));
  EXPECT_GT(ink.Right - ink.Left, size.cx * 0.7);

  TdxGPCanvas canvas(bmp.DC());
  // Wrapping at a width: more lines, no wider than the width.
  int32_t fitted = 0, lines = 0;
  const TdxSizeF wrapped = canvas.MeasureString(u"Hello Hello Hello", &font, TdxSizeF(size.cx * 1.5f, 1000),
                                                nullptr, fitted, lines);
  EXPECT_EQ(lines, 3);
  EXPECT_EQ(fitted, 17);
  EXPECT_LE(wrapped.cx, size.cx * 1.5f);
  EXPECT_NEAR(canvas.MeasureString(u"Hello Hello Hello", &font, size.cx * 1.5).cy, wrapped.cy, 0.01);

  // Nil font or brush raise first; empty text measures 0 x 0 even without a font.
  EXPECT_EQ(GdipTextRaised([&] { canvas.DrawString(u"", &font, nullptr, 0, 0); }), gdiplus::InvalidParameter);
  EXPECT_EQ(GdipTextRaised([&] { canvas.DrawString(u"x", nullptr, &brush, 0, 0); }),
            gdiplus::InvalidParameter);
  const TdxSizeF none = canvas.MeasureString(u"", nullptr);
  EXPECT_EQ(none.cx, 0);
  EXPECT_EQ(none.cy, 0);
  EXPECT_EQ(GdipTextRaised([&] { canvas.MeasureString(u"x", nullptr); }), gdiplus::InvalidParameter);
  canvas.DrawString(u"x", &font, TdxRectF(5, 5, 5, 30), &brush);  // empty rectangle: nothing, no error
}

TEST_F(GdipTextTest, CharacterRangesComeBackAsRegions) {
  testing::TestBitmap bmp(10, 10);
  TdxGPCanvas canvas(bmp.DC());
  TdxGPFont font(testing::kTestFontName, 20, guPixel);
  TdxGPStringFormat format;
  const TdxGpCharacterRange ranges[] = {{0, 2}, {3, 2}};
  format.SetMeasurableCharacterRanges(2, ranges);
  auto regions = canvas.MeasureCharacterRanges(u"ab cd", &font, &format, TdxRectF(0, 0, 500, 100));
  ASSERT_EQ(regions.size(), 2u);
  gdiplus::GpRectF a{}, b{};
  GdipCheck(gdiplus::GdipGetRegionBounds(regions[0]->Handle(), canvas.Handle(), &a));
  GdipCheck(gdiplus::GdipGetRegionBounds(regions[1]->Handle(), canvas.Handle(), &b));
  EXPECT_GT(a.Width, 0);
  EXPECT_GT(b.X, a.X + a.Width);  // "cd" after "ab" and the space
  const TdxSizeF ab =
      canvas.MeasureString(u"ab", &font, TdxPointF(0, 0), TdxGPStringFormat::GenericTypographic());
  EXPECT_NEAR(a.Width, ab.cx, 2);
  EXPECT_TRUE(canvas.MeasureCharacterRanges(u"", nullptr, &format, TdxRectF(0, 0, 1, 1)).empty());
  EXPECT_TRUE(canvas.MeasureCharacterRanges(u"ab", &font, nullptr, TdxRectF(0, 0, 99, 99)).empty());
}

TEST_F(GdipTextTest, PathsTakeTextOutlines) {
  TdxGPFont font(testing::kTestFontName, 15, guPoint);  // 20 pixels at 96 DPI
  TdxGPPath path;
  path.AddString(u"H", &font, TdxPointF(10, 10), nullptr);
  EXPECT_GT(path.PointCount(), 4);
  const TdxRectF r = path.GetBoundsF();
  EXPECT_GE(r.Left, 10);
  EXPECT_GE(r.Top, 10);
  EXPECT_LT(r.Bottom, 32);
  EXPECT_GT(r.Bottom - r.Top, 10);

  // The same glyph from the family at the same em size.
  TdxGPPath same;
  same.AddString(u"H", font.FontFamily(), nullptr, TPoint{10, 10}, 20, 0);
  const TdxRectF s = same.GetBoundsF();
  EXPECT_NEAR(s.Left, r.Left, 0.01);
  EXPECT_NEAR(s.Bottom, r.Bottom, 0.01);

  TFont platformFont;
  platformFont.SetName(testing::kTestFontName);
  platformFont.SetStyle(TFontStyles{fsBold});
  TdxGPPath fromFont;
  fromFont.AddString(u"H", &platformFont, TRect{0, 0, 100, 100}, 20);
  EXPECT_GT(fromFont.GetBoundsF().Right - fromFont.GetBoundsF().Left, s.Right - s.Left);  // bold is wider
  EXPECT_EQ(dxFontStylesToGpFontStyles(TFontStyles{fsItalic, fsStrikeOut}), 10);
}

}  // namespace
}  // namespace qd
