// Paths.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/os/gdi.h"
#include "gdi_test_util.h"

namespace qd {
namespace {

using testing::kSentinel;
using testing::Rows;
using testing::TestDib;

TEST(GdiPath, RecordedFiguresDoNotDrawAndBecomeRegions) {
  TestDib t(8, 6);
  SetWindowOrgEx(t.dc, -1, 0, nullptr);  // paths are kept in device coordinates
  ASSERT_TRUE(BeginPath(t.dc));
  Rectangle(t.dc, 0, 1, 4, 4);
  MoveToEx(t.dc, 0, 0, nullptr);
  LineTo(t.dc, 3, 0);
  EXPECT_EQ(t.Mask(), Rows({"........", "........", "........", "........", "........", "........"}));
  ASSERT_TRUE(EndPath(t.dc));
  HRGN r = PathToRegion(t.dc);
  ASSERT_NE(r, nullptr);
  RECT box;
  EXPECT_EQ(GetRgnBox(r, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{1, 1, 5, 4}));
  EXPECT_EQ(PathToRegion(t.dc), nullptr);  // the path is used up
  DeleteObject(r);
}

TEST(GdiPath, FillStrokeAndClip) {
  TestDib t(6, 6);
  SelectObject(t.dc, GetStockObject(BLACK_BRUSH));
  BeginPath(t.dc);
  MoveToEx(t.dc, 1, 1, nullptr);
  LineTo(t.dc, 5, 1);
  LineTo(t.dc, 5, 5);
  LineTo(t.dc, 1, 5);
  CloseFigure(t.dc);
  EndPath(t.dc);
  EXPECT_TRUE(FillPath(t.dc));
  EXPECT_EQ(t.Mask(), Rows({"......", ".####.", ".####.", ".####.", ".####.", "......"}));
  EXPECT_FALSE(FillPath(t.dc));
  t.Fill(kSentinel);
  BeginPath(t.dc);
  MoveToEx(t.dc, 0, 2, nullptr);
  LineTo(t.dc, 6, 2);
  EndPath(t.dc);
  EXPECT_TRUE(StrokePath(t.dc));
  EXPECT_EQ(t.Mask(), Rows({"......", "......", "######", "......", "......", "......"}));
  t.Fill(kSentinel);
  BeginPath(t.dc);
  Ellipse(t.dc, 0, 0, 6, 6);
  EndPath(t.dc);
  EXPECT_TRUE(SelectClipPath(t.dc, RGN_COPY));
  RECT all{0, 0, 6, 6};
  FillRect(t.dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(t.At(0, 0), kSentinel);
  EXPECT_EQ(t.At(3, 3), 0u);
  EXPECT_FALSE(EndPath(t.dc));
  BeginPath(t.dc);
  Rectangle(t.dc, 0, 0, 2, 2);
  EXPECT_TRUE(AbortPath(t.dc));
  EXPECT_FALSE(StrokePath(t.dc));
}

// Text drawn inside a path bracket records the glyphs' outlines and draws nothing; filling the
// path covers what drawing the text covers, and the outline of a thick letter leaves its
// inside free.
TEST(GdiPath, TextRecordsGlyphOutlines) {
  LOGFONTW lf{};
  lf.lfHeight = -40;
  lf.lfWeight = FW_BOLD;
  lf.lfQuality = NONANTIALIASED_QUALITY;
  std::u16string face = u"DejaVu Sans";
  std::copy(face.begin(), face.end(), lf.lfFaceName);
  HFONT font = CreateFontIndirectW(&lf);
  TestDib drawn(60, 50), filled(60, 50), stroked(60, 50);
  for (TestDib* t : {&drawn, &filled, &stroked}) {
    SelectObject(t->dc, font);
    SetBkMode(t->dc, TRANSPARENT);
    SetTextColor(t->dc, 0);
    SelectObject(t->dc, GetStockObject(BLACK_BRUSH));
  }
  TextOutW(drawn.dc, 4, 2, u"H", 1);
  for (TestDib* t : {&filled, &stroked}) {
    ASSERT_TRUE(BeginPath(t->dc));
    TextOutW(t->dc, 4, 2, u"H", 1);
    EXPECT_EQ(t->Mask().find('#'), std::string::npos);
    ASSERT_TRUE(EndPath(t->dc));
  }
  ASSERT_TRUE(FillPath(filled.dc));
  ASSERT_TRUE(StrokePath(stroked.dc));
  int ink = 0, differ = 0, strokedInside = 0;
  for (int y = 1; y < 49; ++y)
    for (int x = 1; x < 59; ++x) {
      const bool a = drawn.At(x, y) != kSentinel, b = filled.At(x, y) != kSentinel;
      ink += a;
      differ += a != b;
      // A pixel whose neighbours are all ink lies inside the stroke of the letter.
      bool inside = a;
      for (int dy = -1; dy <= 1 && inside; ++dy)
        for (int dx = -1; dx <= 1 && inside; ++dx) inside = drawn.At(x + dx, y + dy) != kSentinel;
      strokedInside += inside && stroked.At(x, y) != kSentinel;
    }
  EXPECT_GT(ink, 200);
  // Hinting moves an edge by a pixel at most.
  EXPECT_LT(differ, ink / 4);
  EXPECT_LT(strokedInside, ink / 10);
  DeleteObject(font);
}

TEST(GdiPath, WidenedPathIsThePenOutline) {
  TestDib t(10, 10);
  HPEN pen = CreatePen(PS_SOLID, 3, 0);
  HGDIOBJ old = SelectObject(t.dc, pen);
  BeginPath(t.dc);
  MoveToEx(t.dc, 2, 5, nullptr);
  LineTo(t.dc, 8, 5);
  EndPath(t.dc);
  ASSERT_TRUE(WidenPath(t.dc));
  HRGN r = PathToRegion(t.dc);
  EXPECT_TRUE(PtInRegion(r, 5, 4));
  EXPECT_TRUE(PtInRegion(r, 5, 6));
  EXPECT_FALSE(PtInRegion(r, 5, 8));
  DeleteObject(r);
  SelectObject(t.dc, old);
  DeleteObject(pen);
}

}  // namespace
}  // namespace qd
