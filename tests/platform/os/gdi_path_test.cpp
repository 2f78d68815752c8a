// Paths.
#include <gtest/gtest.h>

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
