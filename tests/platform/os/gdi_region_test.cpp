// Regions and clipping.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/os/gdi.h"
#include "gdi_test_util.h"

namespace qd {
namespace {

using testing::Rows;
using testing::TestDib;

std::vector<RECT> RectsOf(HRGN r) {
  DWORD n = GetRegionData(r, 0, nullptr);
  std::vector<char> buf(n);
  auto* data = reinterpret_cast<RGNDATA*>(buf.data());
  EXPECT_EQ(GetRegionData(r, n, data), n);
  std::vector<RECT> out(data->rdh.nCount);
  std::memcpy(out.data(), buf.data() + sizeof(RGNDATAHEADER), out.size() * sizeof(RECT));
  return out;
}

TEST(GdiRegion, CombineModesAndComplexity) {
  struct Case {
    int mode;
    int type;
    RECT box;
  } cases[] = {
      {RGN_AND, SIMPLEREGION, {2, 2, 4, 4}},  {RGN_OR, COMPLEXREGION, {0, 0, 6, 6}},
      {RGN_XOR, COMPLEXREGION, {0, 0, 6, 6}}, {RGN_DIFF, COMPLEXREGION, {0, 0, 4, 4}},
      {RGN_COPY, SIMPLEREGION, {0, 0, 4, 4}},
  };
  HRGN a = CreateRectRgn(0, 0, 4, 4), b = CreateRectRgn(2, 2, 6, 6);
  for (const auto& c : cases) {
    HRGN d = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(d, a, b, c.mode), c.type) << c.mode;
    RECT box;
    GetRgnBox(d, &box);
    EXPECT_EQ(box, c.box) << c.mode;
    DeleteObject(d);
  }
  HRGN d = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(d, a, a, RGN_DIFF), NULLREGION);
  EXPECT_EQ(CombineRgn(d, a, nullptr, RGN_AND), ERROR);
  EXPECT_EQ(CombineRgn(d, a, b, 9), ERROR);
  HRGN e1 = CreateRectRgn(0, 0, 0, 0), e2 = CreateRectRgn(5, 5, 5, 9);
  EXPECT_TRUE(EqualRgn(e1, e2));  // two empty regions are equal
  EXPECT_FALSE(EqualRgn(a, b));
  for (HRGN r : {a, b, d, e1, e2}) DeleteObject(r);
}

TEST(GdiRegion, HitTestsAreHalfOpen) {
  HRGN r = CreateRectRgn(1, 1, 3, 3);
  EXPECT_TRUE(PtInRegion(r, 1, 1));
  EXPECT_TRUE(PtInRegion(r, 2, 2));
  EXPECT_FALSE(PtInRegion(r, 3, 2));
  RECT in{2, 2, 5, 5}, out{3, 0, 5, 5};
  EXPECT_TRUE(RectInRegion(r, &in));
  EXPECT_FALSE(RectInRegion(r, &out));
  HRGN round = CreateRoundRectRgn(1, 1, 10, 10, 4, 4);
  EXPECT_TRUE(PtInRegion(round, 1, 5));
  EXPECT_FALSE(PtInRegion(round, 1, 1));
  EXPECT_FALSE(PtInRegion(round, 10, 5));
  HRGN ell = CreateEllipticRgn(0, 0, 10, 6);
  RECT box;
  GetRgnBox(ell, &box);
  EXPECT_EQ(box, (RECT{0, 0, 10, 6}));
  EXPECT_FALSE(PtInRegion(ell, 0, 0));
  EXPECT_TRUE(PtInRegion(ell, 5, 3));
  for (HRGN x : {r, round, ell}) DeleteObject(x);
}

TEST(GdiRegion, PolygonFillModes) {
  // A pentagram: the centre is inside with WINDING only.
  POINT star[5] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
  HRGN alt = CreatePolygonRgn(star, 5, ALTERNATE);
  HRGN wind = CreatePolygonRgn(star, 5, WINDING);
  EXPECT_FALSE(PtInRegion(alt, 10, 10));
  EXPECT_TRUE(PtInRegion(wind, 10, 10));
  EXPECT_TRUE(PtInRegion(alt, 10, 3));
  // An axis-aligned square covers exactly its half-open pixels.
  POINT sq[4] = {{0, 0}, {4, 0}, {4, 3}, {0, 3}};
  HRGN s = CreatePolygonRgn(sq, 4, ALTERNATE);
  auto rects = RectsOf(s);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0], (RECT{0, 0, 4, 3}));
  for (HRGN x : {alt, wind, s}) DeleteObject(x);
}

TEST(GdiRegion, RegionDataRoundTripAndTransform) {
  HRGN a = CreateRectRgn(0, 0, 4, 4), b = CreateRectRgn(2, 2, 6, 6);
  CombineRgn(a, a, b, RGN_OR);
  DWORD n = GetRegionData(a, 0, nullptr);
  std::vector<char> buf(n);
  ASSERT_EQ(GetRegionData(a, n, reinterpret_cast<RGNDATA*>(buf.data())), n);
  EXPECT_EQ(GetRegionData(a, n - 1, reinterpret_cast<RGNDATA*>(buf.data())), 0u);
  HRGN copy = ExtCreateRegion(nullptr, n, reinterpret_cast<RGNDATA*>(buf.data()));
  EXPECT_TRUE(EqualRgn(a, copy));
  XFORM x{2, 0, 0, 2, 10, 0};
  HRGN scaled = ExtCreateRegion(&x, n, reinterpret_cast<RGNDATA*>(buf.data()));
  RECT box;
  GetRgnBox(scaled, &box);
  EXPECT_EQ(box, (RECT{10, 0, 22, 12}));
  EXPECT_EQ(ExtCreateRegion(nullptr, n - 1, reinterpret_cast<RGNDATA*>(buf.data())), nullptr);
  for (HRGN r : {a, b, copy, scaled}) DeleteObject(r);
}

TEST(GdiClip, ClipRegionIsInDeviceCoordinates) {
  TestDib t(8, 4);
  SetWindowOrgEx(t.dc, 2, 0, nullptr);  // logical x = device x + 2
  HRGN r = CreateRectRgn(0, 0, 2, 4);   // device coordinates
  EXPECT_EQ(SelectClipRgn(t.dc, r), SIMPLEREGION);
  RECT box;
  EXPECT_EQ(GetClipBox(t.dc, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{2, 0, 4, 4}));  // logical
  // IntersectClipRect takes logical coordinates.
  IntersectClipRect(t.dc, 3, 1, 10, 3);
  RECT all{-100, -100, 100, 100};
  FillRect(t.dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(t.Mask(), Rows({"........", ".#......", ".#......", "........"}));
  HRGN got = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(t.dc, got), 1);
  GetRgnBox(got, &box);
  EXPECT_EQ(box, (RECT{1, 1, 2, 3}));
  SelectClipRgn(t.dc, nullptr);
  EXPECT_EQ(GetClipRgn(t.dc, got), 0);
  DeleteObject(r);
  DeleteObject(got);
}

TEST(GdiClip, ExcludeClipRectStartsFromTheWholeSurface) {
  TestDib t(6, 3);
  SetViewportOrgEx(t.dc, 1, 0, nullptr);
  EXPECT_EQ(ExcludeClipRect(t.dc, 1, 0, 3, 2), COMPLEXREGION);
  RECT all{-10, -10, 10, 10};
  FillRect(t.dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(t.Mask(), Rows({"##..##", "##..##", "######"}));
  EXPECT_TRUE(PtVisible(t.dc, 0, 0));
  EXPECT_FALSE(PtVisible(t.dc, 1, 0));
  RECT hidden{1, 0, 3, 2}, partly{1, 0, 4, 1};
  EXPECT_FALSE(RectVisible(t.dc, &hidden));
  EXPECT_TRUE(RectVisible(t.dc, &partly));
  OffsetClipRgn(t.dc, 0, 1);  // the whole clip region moves, its top row too
  EXPECT_FALSE(PtVisible(t.dc, -1, 0));
  EXPECT_TRUE(PtVisible(t.dc, -1, 1));
  EXPECT_FALSE(PtVisible(t.dc, 1, 2));
  EXPECT_TRUE(PtVisible(t.dc, 3, 1));
}

TEST(GdiClip, ExtSelectClipRgnModes) {
  TestDib t(4, 1);
  HRGN left = CreateRectRgn(0, 0, 2, 1), mid = CreateRectRgn(1, 0, 3, 1);
  struct Case {
    int mode;
    const char* mask;
  } cases[] = {
      {RGN_AND, ".#.."}, {RGN_OR, "###."}, {RGN_XOR, "#.#."}, {RGN_DIFF, "#..."}, {RGN_COPY, ".##."}};
  for (const auto& c : cases) {
    t.Fill(testing::kSentinel);
    SelectClipRgn(t.dc, left);
    ExtSelectClipRgn(t.dc, mid, c.mode);
    RECT all{0, 0, 4, 1};
    FillRect(t.dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(t.Mask(), std::string(c.mask) + "\n") << c.mode;
  }
  SelectClipRgn(t.dc, nullptr);
  EXPECT_EQ(ExtSelectClipRgn(t.dc, nullptr, RGN_AND), ERROR);
  DeleteObject(left);
  DeleteObject(mid);
}

TEST(GdiClip, MirroredWorldTransformKeepsPixelsOnTheirImages) {
  TestDib t(8, 2);
  SetGraphicsMode(t.dc, GM_ADVANCED);
  // x' = 7 - x: logical column i lands on device column 7 - i.
  XFORM flip{-1, 0, 0, 1, 7, 0};
  SetWorldTransform(t.dc, &flip);
  RECT r{0, 0, 3, 1};
  FillRect(t.dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(t.Mask(), Rows({".....###", "........"}));
  IntersectClipRect(t.dc, 1, 0, 2, 2);  // logical column 1 only -> device column 6
  RECT all{0, 0, 8, 2};
  t.Fill(testing::kSentinel);
  FillRect(t.dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(t.Mask(), Rows({"......#.", "......#."}));
  RECT box;
  GetClipBox(t.dc, &box);
  EXPECT_EQ(box, (RECT{1, 0, 2, 2}));
  // A mirrored blit: the library flips bitmaps with this transform and pivot W - 1.
  TestDib src(3, 1);
  src.bits[0] = 1;
  src.bits[1] = 2;
  src.bits[2] = 3;
  TestDib d(3, 1);
  SetGraphicsMode(d.dc, GM_ADVANCED);
  XFORM f3{-1, 0, 0, 1, 2, 0};
  SetWorldTransform(d.dc, &f3);
  BitBlt(d.dc, 0, 0, 3, 1, src.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(d.At(0, 0), 3u);
  EXPECT_EQ(d.At(1, 0), 2u);
  EXPECT_EQ(d.At(2, 0), 1u);
}

TEST(GdiClip, ScaledTransformScalesFills) {
  TestDib t(6, 4);
  SetGraphicsMode(t.dc, GM_ADVANCED);
  XFORM x{2, 0, 0, 2, 0, 0};
  SetWorldTransform(t.dc, &x);
  RECT r{1, 0, 2, 1};
  FillRect(t.dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(t.Mask(), Rows({"..##..", "..##..", "......", "......"}));
}

TEST(GdiClip, RegionFillsFramesAndInversions) {
  TestDib t(6, 6, 0x00FFFFFF);
  HRGN r = CreateRectRgn(1, 1, 5, 5);
  FrameRgn(t.dc, r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), 1, 1);
  EXPECT_EQ(t.MaskOf(0), Rows({"......", ".####.", ".#..#.", ".#..#.", ".####.", "......"}));
  InvertRgn(t.dc, r);
  EXPECT_EQ(t.MaskOf(0), Rows({"......", "......", "..##..", "..##..", "......", "......"}));
  SelectObject(t.dc, GetStockObject(GRAY_BRUSH));
  PaintRgn(t.dc, r);
  EXPECT_EQ(t.At(2, 2), 0x00808080u);
  DeleteObject(r);
}

}  // namespace
}  // namespace qd
