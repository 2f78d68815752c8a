// Complex text (shaping, bidirectional order, font fallback), mirrored DCs and wide dashed pens.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/base/strings.h"
#include "platform/os/gdi.h"
#include "platform/os/gdi_font.h"
#include "gdi_test_util.h"

namespace qd {
namespace {

using testing::FontScope;
using testing::Ink;
using testing::kSentinel;
using testing::MakeFont;
using testing::TestDib;

// What GetCharacterPlacement reports for a string.
struct Placement {
  std::vector<UINT> order;    // logical -> visual
  std::vector<INT> dx;        // display order
  std::vector<INT> caret;     // logical order
  std::vector<WCHAR> glyphs;  // display order
  std::u16string out;         // display order
  SIZE extent{};
};

Placement Place(HDC dc, const std::u16string& s, DWORD flags = GCP_REORDER) {
  Placement p;
  size_t n = s.size();
  p.order.assign(n, 0);
  p.dx.assign(n, 0);
  p.caret.assign(n, 0);
  p.glyphs.assign(n, 0);
  p.out.assign(n, u'?');
  GCP_RESULTSW r;
  r.lpOutString = p.out.data();
  r.lpOrder = p.order.data();
  r.lpDx = p.dx.data();
  r.lpCaretPos = p.caret.data();
  r.lpGlyphs = p.glyphs.data();
  r.nGlyphs = static_cast<UINT>(n);
  DWORD e = GetCharacterPlacementW(dc, s.data(), static_cast<int>(n), 0, &r, flags);
  p.extent = {static_cast<LONG>(e & 0xFFFF), static_cast<LONG>(e >> 16)};
  p.glyphs.resize(r.nGlyphs);
  return p;
}

SIZE Extent(HDC dc, const std::u16string& s) {
  SIZE e{};
  GetTextExtentPoint32W(dc, s.data(), static_cast<int>(s.size()), &e);
  return e;
}

// The family the face of a logical font falls back to for `c`.
std::string FallbackFamily(const char16_t* face, int height, char32_t c) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  for (int i = 0; face[i]; ++i) lf.lfFaceName[i] = face[i];
  auto f = gdi::FontFace::For(lf);
  gdi::FontFace* fb = f ? f->Fallback(c) : nullptr;
  return fb ? fb->family : std::string();
}

TEST(GdiComplexText, ArabicJoinsAndLigatesAndIsMeasuredAsDrawn) {
  TestDib t(300, 40);
  FontScope f(t.dc, MakeFont(u"DejaVu Sans", -20));
  // Three behs take their initial, medial and final forms, none of them the isolated one.
  Placement iso = Place(t.dc, u"\u0628");
  Placement three = Place(t.dc, u"\u0628\u0628\u0628");
  ASSERT_EQ(three.glyphs.size(), 3u);
  std::set<WCHAR> forms(three.glyphs.begin(), three.glyphs.end());
  EXPECT_EQ(forms.size(), 3u);
  EXPECT_EQ(forms.count(iso.glyphs[0]), 0u);
  // Lam and alef make one glyph whose width the two letters share.
  Placement lamAlef = Place(t.dc, u"\u0644\u0627");
  EXPECT_EQ(lamAlef.glyphs.size(), 1u);
  EXPECT_EQ(lamAlef.dx[0] + lamAlef.dx[1], lamAlef.extent.cx);
  EXPECT_GT(lamAlef.extent.cx, 0);

  // A sentence: read right to left, measured as drawn.
  const std::u16string s = u"\u0645\u0631\u062D\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645";
  Placement p = Place(t.dc, s);
  SIZE ext = Extent(t.dc, s);
  EXPECT_EQ(p.extent.cx, ext.cx);
  EXPECT_EQ(p.order[0], s.size() - 1);  // the first letter is the rightmost
  EXPECT_EQ(p.caret[0], ext.cx);        // and the caret before it is at the right end
  SetTextAlign(t.dc, TA_UPDATECP);
  MoveToEx(t.dc, 10, 5, nullptr);
  SetBkMode(t.dc, TRANSPARENT);
  TextOutW(t.dc, 0, 0, s.data(), static_cast<int>(s.size()));
  POINT cur;
  GetCurrentPositionEx(t.dc, &cur);
  EXPECT_EQ(cur.X - 10, ext.cx);
  RECT ink = Ink(t);
  t.SavePng("gdi_complex_arabic");
  EXPECT_GE(ink.Left, 10 - 1);
  EXPECT_LE(ink.Right, 10 + ext.cx + 1);
  EXPECT_GT(ink.Right - ink.Left, ext.cx * 3 / 4);
}

TEST(GdiComplexText, HebrewCaretPositionsAgreeWithTheDrawnGlyphs) {
  const std::u16string s = u"\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD";
  TestDib word(200, 30), letters(200, 30);
  Placement p;
  for (TestDib* t : {&word, &letters}) {
    FontScope f(t->dc, MakeFont(u"DejaVu Sans", -20, FW_NORMAL, NONANTIALIASED_QUALITY));
    SetBkMode(t->dc, TRANSPARENT);
    if (t == &word) {
      TextOutW(t->dc, 0, 0, s.data(), static_cast<int>(s.size()));
      p = Place(t->dc, s);
      continue;
    }
    // Every letter drawn alone in the cell its caret position and width give.
    for (size_t i = 0; i < s.size(); ++i) {
      int width = p.dx[p.order[i]];
      int left = p.caret[i] - width;  // read right to left: the caret is at the cell's right edge
      TextOutW(t->dc, left, 0, &s[i], 1);
    }
  }
  word.SavePng("gdi_complex_hebrew");
  EXPECT_EQ(p.caret[0], p.extent.cx);
  EXPECT_EQ(word.Mask(), letters.Mask());
}

TEST(GdiComplexText, MixedDirectionLineAndRightToLeftReading) {
  TestDib t(200, 30);
  FontScope f(t.dc, MakeFont(u"DejaVu Sans", -16));
  Placement mixed = Place(t.dc, u"abc \u05D0\u05D1\u05D2 def");
  EXPECT_EQ(mixed.order, (std::vector<UINT>{0, 1, 2, 3, 6, 5, 4, 7, 8, 9, 10}));
  EXPECT_EQ(mixed.out, u"abc \u05D2\u05D1\u05D0 def");
  // Without GCP_REORDER the text is in display order already.
  EXPECT_EQ(Place(t.dc, u"abc \u05D0\u05D1\u05D2", 0).order, (std::vector<UINT>{0, 1, 2, 3, 4, 5, 6}));
  // A right-to-left paragraph puts the trailing neutral at the left.
  SetTextAlign(t.dc, TA_RTLREADING);
  EXPECT_EQ(Place(t.dc, u"abc!").order, (std::vector<UINT>{1, 2, 3, 0}));
  SetTextAlign(t.dc, TA_LEFT);

  // DT_RTLREADING draws "abc!" as a left-to-right line draws "!abc".
  TestDib rtl(100, 20), ltr(100, 20);
  for (TestDib* d : {&rtl, &ltr}) {
    FontScope g(d->dc, MakeFont(u"DejaVu Sans", -16, FW_NORMAL, NONANTIALIASED_QUALITY));
    SetBkMode(d->dc, TRANSPARENT);
    RECT r{2, 2, 98, 18};
    if (d == &rtl)
      DrawTextW(d->dc, u"abc!", 4, &r, DT_SINGLELINE | DT_RTLREADING);
    else
      DrawTextW(d->dc, u"!abc", 4, &r, DT_SINGLELINE);
  }
  rtl.SavePng("gdi_complex_rtlreading");
  EXPECT_NE(rtl.Mask().find('#'), std::string::npos);
  EXPECT_EQ(rtl.Mask(), ltr.Mask());
}

TEST(GdiComplexText, LatinFontDrawsCjkAndEmojiThroughFallback) {
  struct Case {
    const char16_t* text;
    char32_t first;
  };
  for (const Case& c : {Case{u"\u4E2D\u6587", 0x4E2D}, Case{u"\U0001F600", 0x1F600}}) {
    SCOPED_TRACE(static_cast<int>(c.first));
    std::string family = FallbackFamily(u"Arial", -20, c.first);
    ASSERT_FALSE(family.empty());
    String familyName = Utf8ToString(family);
    std::u16string s = c.text;
    TestDib viaFallback(120, 30), direct(120, 30);
    SIZE e1{}, e2{};
    for (TestDib* t : {&viaFallback, &direct}) {
      FontScope f(t->dc, MakeFont(t == &direct ? familyName.c_str() : u"Arial", -20, FW_NORMAL,
                                  NONANTIALIASED_QUALITY));
      SetBkMode(t->dc, TRANSPARENT);
      // On one baseline: the line's ascent is the selected font's, not the fallback's.
      SetTextAlign(t->dc, TA_BASELINE);
      TextOutW(t->dc, 4, 22, s.data(), static_cast<int>(s.size()));
      (t == &direct ? e2 : e1) = Extent(t->dc, s);
    }
    viaFallback.SavePng(c.first == 0x4E2D ? "gdi_complex_cjk" : "gdi_complex_emoji");
    // The same glyphs, at the same size, measured alike.
    EXPECT_EQ(e1.cx, e2.cx);
    EXPECT_GT(e1.cx, 10);
    EXPECT_NE(viaFallback.Mask().find('#'), std::string::npos);
    EXPECT_EQ(viaFallback.Mask(), direct.Mask());
  }
  // Measuring a mixed line adds up the pieces of each face.
  TestDib t(10, 10);
  {
    FontScope f(t.dc, MakeFont(u"Arial", -20));
    SIZE latin = Extent(t.dc, u"Ab");
    SIZE mixed = Extent(t.dc, u"Ab\u4E2D");
    FontScope g(t.dc, MakeFont(Utf8ToString(FallbackFamily(u"Arial", -20, 0x4E2D)).c_str(), -20));
    EXPECT_EQ(mixed.cx, latin.cx + Extent(t.dc, u"\u4E2D").cx);
  }
}

TEST(GdiComplexText, CombiningMarksTakeNoWidth) {
  TestDib t(60, 40);
  FontScope f(t.dc, MakeFont(u"DejaVu Sans", -24));
  EXPECT_EQ(Extent(t.dc, u"e\u0301").cx, Extent(t.dc, u"e").cx);
  Placement p = Place(t.dc, u"e\u0301");
  EXPECT_EQ(p.dx[1], 0);
  SetBkMode(t.dc, TRANSPARENT);
  TextOutW(t.dc, 5, 5, u"e", 1);
  RECT plain = Ink(t);
  TextOutW(t.dc, 5, 5, u"e\u0301", 2);
  RECT marked = Ink(t);
  EXPECT_LT(marked.Top, plain.Top);  // the accent sits above the letter
  EXPECT_LE(marked.Right, plain.Right + 2);
}

// ---- Mirrored DCs ---------------------------------------------------------------------------

TEST(GdiMirroredDc, CoordinatesRunFromTheRight) {
  TestDib t(20, 6);
  EXPECT_EQ(SetLayout(t.dc, LAYOUT_RTL), 0u);
  EXPECT_EQ(GetLayout(t.dc), LAYOUT_RTL);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT r{0, 0, 5, 2};
  FillRect(t.dc, &r, red);
  DeleteObject(red);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
  HGDIOBJ old = SelectObject(t.dc, pen);
  MoveToEx(t.dc, 0, 4, nullptr);
  LineTo(t.dc, 8, 4);
  SelectObject(t.dc, old);
  DeleteObject(pen);
  EXPECT_EQ(t.Mask([](uint32_t v) {
    return (v & 0xFFFFFF) == 0xFF0000 ? 'r' : (v & 0xFFFFFF) == 0x0000FF ? 'b' : v == kSentinel ? '.' : '?';
  }),
            testing::Rows({"...............rrrrr", "...............rrrrr", "....................",
                           "....................", "............bbbbbbbb", "...................."}));
  // The clip box reads back in logical coordinates.
  RECT box{};
  HRGN clip = CreateRectRgn(15, 0, 20, 6);  // device coordinates: the rightmost five columns
  SelectClipRgn(t.dc, clip);
  DeleteObject(clip);
  GetClipBox(t.dc, &box);
  EXPECT_EQ(box.Left, 0);
  EXPECT_EQ(box.Right, 5);
}

TEST(GdiMirroredDc, BitBltMirrorsPicturesUnlessTheirOrientationIsPreserved) {
  // A 4 x 1 source: red, green, blue, white.
  TestDib src(4, 1);
  const uint32_t colours[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  for (int x = 0; x < 4; ++x) src.bits[x] = colours[x];
  auto blit = [&](DWORD layout, DWORD rop) {
    TestDib d(10, 1);
    SetLayout(d.dc, layout);
    BitBlt(d.dc, 1, 0, 4, 1, src.dc, 0, 0, rop);
    return d.Mask([](uint32_t v) {
      switch (v & 0xFFFFFF) {
        case 0xFF0000:
          return 'r';
        case 0x00FF00:
          return 'g';
        case 0x0000FF:
          return 'b';
        case 0xFFFFFF:
          return 'w';
        default:
          return '.';
      }
    });
  };
  EXPECT_EQ(blit(0, SRCCOPY), ".rgbw.....\n");
  // Logical columns 1..4 are device columns 8..5; the picture reads from the right.
  EXPECT_EQ(blit(LAYOUT_RTL, SRCCOPY), ".....wbgr.\n");
  EXPECT_EQ(blit(LAYOUT_RTL | LAYOUT_BITMAPORIENTATIONPRESERVED, SRCCOPY), ".....rgbw.\n");
  EXPECT_EQ(blit(LAYOUT_RTL, SRCCOPY | NOMIRRORBITMAP), ".....rgbw.\n");
  // Between two mirrored DCs the picture keeps its orientation.
  TestDib m(4, 1);
  SetLayout(m.dc, LAYOUT_RTL);
  BitBlt(m.dc, 0, 0, 4, 1, src.dc, 0, 0, SRCCOPY);  // stored mirrored: w b g r
  TestDib d(4, 1);
  SetLayout(d.dc, LAYOUT_RTL);
  BitBlt(d.dc, 0, 0, 4, 1, m.dc, 0, 0, SRCCOPY);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(d.Rgb(x, 0), m.Rgb(x, 0)) << x;
}

TEST(GdiMirroredDc, TextIsPlacedMirroredButReadsUnmirrored) {
  TestDib plain(60, 20), mirrored(60, 20);
  SIZE ext{};
  for (TestDib* t : {&mirrored, &plain}) {
    FontScope f(t->dc, MakeFont(u"Arial", -14, FW_NORMAL, NONANTIALIASED_QUALITY));
    SetBkMode(t->dc, TRANSPARENT);
    if (t == &mirrored) {
      SetLayout(t->dc, LAYOUT_RTL);
      GetTextExtentPoint32W(t->dc, u"Fb", 2, &ext);
      TextOutW(t->dc, 2, 2, u"Fb", 2);
    } else {
      // Logical [2, 2 + width) of a mirrored 60-pixel DC is device [58 - width, 58).
      TextOutW(t->dc, 58 - ext.cx, 2, u"Fb", 2);
    }
  }
  mirrored.SavePng("gdi_mirrored_text");
  EXPECT_NE(plain.Mask().find('#'), std::string::npos);
  EXPECT_EQ(mirrored.Mask(), plain.Mask());
}

// ---- Wide dashed pens ------------------------------------------------------------------------

TEST(GdiPen, WideGeometricDashedPensDrawDashes) {
  TestDib t(40, 9);
  LOGBRUSH lb{BS_SOLID, RGB(255, 0, 0), 0};
  HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_DASH | PS_ENDCAP_FLAT, 3, &lb, 0, nullptr);
  ASSERT_NE(pen, nullptr);
  HGDIOBJ old = SelectObject(t.dc, pen);
  MoveToEx(t.dc, 0, 4, nullptr);
  LineTo(t.dc, 40, 4);
  SelectObject(t.dc, old);
  DeleteObject(pen);
  std::string mask = t.MaskOf(RGB(255, 0, 0));
  // Dashes three widths long with gaps of one width, three rows thick.
  const char* empty = "........................................";
  const char* dashes = "#########...#########...#########...####";
  EXPECT_EQ(mask, testing::Rows({empty, empty, empty, dashes, dashes, dashes, empty, empty, empty}));
}

}  // namespace
}  // namespace qd
