// TcxCanvas without text: fills and frames (alpha 0), tiling from negative origins, clipping
// with saved and restored states, saved DC and canvas states, focus rectangles, inversion,
// pies, regions, bitmap rotation, glyphs, transparent drawing and the shared canvases.
#include "ui/graphics/cxGraphicsCanvas.h"

#include <gtest/gtest.h>

#include <memory>

#include "graphics_test_util.h"
#include "platform/base/mathutil.h"
#include "platform/os/modules.h"
#include "ui/graphics/dxCoreGraphics.h"

namespace qd {

namespace testing {
namespace {

using CanvasTest = GraphicsUnitTest;

TEST(CanvasFlags, LibraryFlagsBecomeSystemFlags) {
  struct Case {
    int32_t flags;
    UINT dt;
  } cases[] = {
      {0, DT_NOPREFIX},
      {cxAlignLeft | cxAlignTop, DT_NOPREFIX},
      {cxAlignRight | cxAlignBottom, DT_NOPREFIX | DT_RIGHT | DT_BOTTOM},
      {cxAlignHCenter | cxAlignVCenter | cxSingleLine, DT_NOPREFIX | DT_CENTER | DT_VCENTER | DT_SINGLELINE},
      {cxDontClip | cxExpandTabs | cxCalcRect, DT_NOPREFIX | DT_NOCLIP | DT_EXPANDTABS | DT_CALCRECT},
      {cxShowPrefix, 0},
      {cxWordBreak, DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL},
      {cxWordBreak | cxDontBreakChars, DT_NOPREFIX | DT_WORDBREAK},
      {cxWordBreak | cxDontBreakChars | cxNoFullWidthCharBreak,
       DT_NOPREFIX | DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK},
      {cxWordBreak | cxNoFullWidthCharBreak, DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL},
      {cxNoFullWidthCharBreak | cxDontBreakChars, DT_NOPREFIX},
      {cxShowEndEllipsis | cxShowPathEllipsis | cxRtlReading,
       DT_NOPREFIX | DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_RTLREADING},
  };
  for (const auto& c : cases) EXPECT_EQ(cxFlagsToDTFlags(c.flags), c.dt) << std::hex << c.flags;
  EXPECT_EQ(cxAlignmentsHorz[taCenter], cxAlignHCenter);
  EXPECT_EQ(cxAlignmentsVert[vaBottom], cxAlignBottom);
  EXPECT_EQ(SystemAlignmentsHorz[taRightJustify], DT_RIGHT);
  EXPECT_EQ(SystemAlignmentsVert[vaCenter], DT_VCENTER);
}

TEST_F(CanvasTest, FillRectHonoursTheSentinelColours) {
  TestBitmap t(6, 3);
  TcxCanvas c(t.Canvas());
  c.Brush()->SetColor(clBlue);
  c.FillRect(TRect{0, 0, 2, 3}, clNone);
  EXPECT_EQ(t.Mask(), Rows({"......", "......", "......"}));
  EXPECT_EQ(c.Brush()->Color(), clBlue);  // brush untouched
  c.FillRect(TRect{0, 0, 2, 3}, clDefault);
  c.FillRect(TRect{2, 1, 4, 2}, clRed);
  EXPECT_EQ(c.Brush()->Color(), clRed);
  EXPECT_EQ(t.At(0, 0), ColorPx(clBlue));  // alpha 0 from a GDI fill
  EXPECT_EQ(t.At(3, 1), ColorPx(clRed));
  EXPECT_EQ(t.Mask(), Rows({"##....", "####..", "##...."}));
  // A colour from the view parameters; clNone there draws nothing.
  TcxViewParams params;
  params.Color = clLime;
  c.FillRect(TRect{4, 0, 6, 1}, params);
  params.Color = clNone;
  c.FillRect(TRect{4, 2, 6, 3}, params);
  EXPECT_EQ(t.MaskOf(clLime), Rows({"....##", "......", "......"}));
  EXPECT_EQ(t.At(5, 2), kSentinel);
}

TEST_F(CanvasTest, FrameRectDrawsTheChosenBands) {
  struct Case {
    TRect r;
    int width;
    TcxBorders borders;
    std::string mask;
  } cases[] = {
      {{0, 0, 5, 4}, 1, cxBordersAll, Rows({"#####...", "#...#...", "#...#...", "#####...", "........"})},
      {{1, 1, 7, 5},
       2,
       {bRight, bBottom},
       Rows({"........", ".....##.", ".....##.", ".######.", ".######."})},
      // Bands are clipped to the rectangle: the left band is the whole width here.
      {{0, 0, 2, 5}, 3, {bLeft, bTop}, Rows({"##......", "##......", "##......", "##......", "##......"})},
      {{2, 2, 2, 4}, 1, cxBordersAll, Rows({"........", "........", "........", "........", "........"})},
      {{0, 0, 8, 5}, 1, {}, Rows({"........", "........", "........", "........", "........"})},
  };
  for (const auto& cs : cases) {
    TestBitmap t(8, 5);
    TcxCanvas c(t.Canvas());
    c.FrameRect(cs.r, clMaroon, cs.width, cs.borders);
    EXPECT_EQ(t.Mask(), cs.mask) << cs.r;
    EXPECT_EQ(t.MaskOf(clMaroon), cs.mask) << cs.r;
  }
  // A rectangle narrower than the frame: (0, 0, 2, 10), width 3, left and top: the left band (0, 0, 2, 10)
  // and the top band (0, 0, 2, 3) only.
  TestBitmap t(4, 11);
  TcxCanvas c(t.Canvas());
  c.FrameRect(TRect{0, 0, 2, 10}, clRed, 3, {bLeft, bTop});
  EXPECT_EQ(t.DrawnBounds(), (TRect{0, 0, 2, 10}));
  c.FrameRect(TRect{0, 0, 4, 4}, clNone);
  EXPECT_EQ(t.At(3, 0), kSentinel);
}

TEST_F(CanvasTest, ExcludedFrameBandsStayUntilTheClipRegionIsRestored) {
  TestBitmap t(6, 5);
  TcxCanvas c(t.Canvas());
  c.SaveClipRegion();
  c.FrameRect(TRect{0, 0, 6, 5}, clBlue, 1, {bLeft, bBottom}, true);
  c.FillRect(TRect{0, 0, 6, 5}, clYellow);
  EXPECT_EQ(t.MaskOf(clBlue), Rows({"#.....", "#.....", "#.....", "#.....", "######"}));
  EXPECT_EQ(t.MaskOf(clYellow), Rows({".#####", ".#####", ".#####", ".#####", "......"}));
  c.RestoreClipRegion();
  c.FillRect(TRect{0, 0, 6, 5}, clYellow);
  EXPECT_EQ(t.MaskOf(clYellow), Rows({"######", "######", "######", "######", "######"}));

  // ExcludeFrameRect and FillRect's exclusion work the same way.
  c.SaveClipRegion();
  c.ExcludeFrameRect(TRect{0, 0, 6, 5}, 2, {bTop});
  c.FillRect(TRect{1, 3, 3, 5}, nullptr, true);  // with the yellow brush, then excluded
  c.FillRect(TRect{0, 0, 6, 5}, clRed);
  EXPECT_EQ(t.MaskOf(clRed), Rows({"......", "......", "######", "#..###", "#..###"}));
  c.RestoreClipRegion();
  c.RestoreClipRegion();  // an empty stack does nothing
  // A region saved but never restored is freed with the canvas (the leak checker watches).
  c.SaveClipRegion();
  c.FillRect(TRect{0, 0, 6, 5}, clRed);
  EXPECT_EQ(t.CountDrawn(), 30);
  EXPECT_EQ(t.MaskOf(clRed), t.Mask());
}

TEST_F(CanvasTest, ComplexFramesAndEdgesColourTheirCorners) {
  TestBitmap t(5, 4);
  TcxCanvas c(t.Canvas());
  c.DrawComplexFrame(TRect{0, 0, 5, 4}, clRed, clBlue);
  EXPECT_EQ(t.Mask([](uint32_t v) { return v == ColorPx(clRed)    ? 'r'
                                           : v == ColorPx(clBlue) ? 'b'
                                                                  : '.'; }),
            Rows({"rrrrb", "r...b", "r...b", "bbbbb"}));
  struct Case {
    bool sunken, outer;
    TColor lt, rb;
  } cases[] = {{true, true, clBtnShadow, clBtnHighlight},
               {true, false, cl3DDkShadow, cl3DLight},
               {false, true, cl3DLight, cl3DDkShadow},
               {false, false, clBtnHighlight, clBtnShadow}};
  for (const auto& cs : cases) {
    t.Fill(kSentinel);
    c.DrawEdge(TRect{0, 0, 5, 4}, cs.sunken, cs.outer, {bLeft, bRight});
    EXPECT_EQ(t.At(0, 2), ColorPx(cs.lt)) << cs.sunken << cs.outer;
    EXPECT_EQ(t.At(4, 2), ColorPx(cs.rb)) << cs.sunken << cs.outer;
    EXPECT_EQ(t.At(2, 0), kSentinel);  // top not selected
  }
  // Rectangle: the frame, then the rest filled with the parameters' colour.
  t.Fill(kSentinel);
  TcxViewParams params;
  params.Color = clYellow;
  c.Rectangle(TRect{0, 0, 5, 4}, params, {bTop, bRight}, clGreen);
  EXPECT_EQ(t.Mask([](uint32_t v) {
    return v == ColorPx(clGreen) ? 'g' : v == ColorPx(clYellow) ? 'y' : '.';
  }),
            Rows({"ggggg", "yyyyg", "yyyyg", "yyyyg"}));
}

TEST_F(CanvasTest, TilingIsAnchoredAtTheLogicalOriginAlsoLeftOfIt) {
  // A 3 x 2 tile of six colours, drawn over rectangles that start left of and above 0.
  TBitmap tile;
  tile.SetPixelFormat(pf32bit);
  tile.SetSize(3, 2);
  const TColor colours[2][3] = {{clRed, clLime, clBlue}, {clYellow, clAqua, clFuchsia}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) tile.Canvas()->SetPixels(x, y, colours[y][x]);
  struct Case {
    TRect r;
  } cases[] = {{{-7, -5, 4, 3}}, {{-3, -2, 0, 0}}, {{1, 1, 8, 6}}, {{-5, 0, -1, 1}}, {{-8, -6, 8, 6}}};
  for (const auto& cs : cases) {
    TestBitmap t(20, 16);
    TcxCanvas c(t.Canvas());
    c.SetWindowOrg(TPoint{-10, -8});  // logical (0, 0) at device (10, 8)
    c.FillRect(cs.r, &tile);
    int wrong = 0;
    for (int dy = 0; dy < 16; ++dy)
      for (int dx = 0; dx < 20; ++dx) {
        const int x = dx - 10, y = dy - 8;
        const bool inside = x >= cs.r.Left && x < cs.r.Right && y >= cs.r.Top && y < cs.r.Bottom;
        const uint32_t want = inside ? ColorPx(colours[((y % 2) + 2) % 2][((x % 3) + 3) % 3]) : kSentinel;
        if (t.At(dx, dy) != want && ++wrong < 4)
          ADD_FAILURE() << cs.r << " logical " << x << "," << y << ": " << std::hex << t.At(dx, dy);
      }
    if (cs.r.Left == -8) t.SavePng("canvas_tiles_negative", 8);
  }
  // Without a bitmap the current brush fills.
  TestBitmap t(4, 4);
  TcxCanvas c(t.Canvas());
  c.SetBrushColor(clNavy);
  c.FillRect(TRect{1, 1, 3, 3});
  EXPECT_EQ(t.MaskOf(clNavy), Rows({"....", ".##.", ".##.", "...."}));
}

TEST_F(CanvasTest, ClipRegionsAreLogicalAndNestWithSavesAndRestores) {
  TestBitmap t(10, 8);
  TcxCanvas c(t.Canvas());
  // Without clipping: the large rectangle, moved to logical coordinates.
  c.SetWindowOrg(TPoint{3, 2});
  std::unique_ptr<TcxRegion> none(c.GetClipRegion());
  EXPECT_EQ(none->BoundsRect(), (TRect{3, 2, 30003, 30002}));
  std::unique_ptr<TcxRegion> device(c.GetClipRegion(false));
  EXPECT_EQ(device->BoundsRect(), (TRect{0, 0, 30000, 30000}));

  c.SaveClipRegion();
  c.SetClipRegion(new TcxRegion(TRect{4, 3, 9, 8}), roSet);  // logical: device (1, 1, 6, 6)
  c.SaveClipRegion();
  c.SetClipRegion(new TcxRegion(TRect{6, 5, 7, 6}), roSubtract);
  TcxRegion* keep = new TcxRegion(TRect{8, 3, 12, 4});
  c.SetClipRegion(keep, roAdd, true, false);  // kept: still usable afterwards, in logical place
  EXPECT_EQ(keep->BoundsRect(), (TRect{8, 3, 12, 4}));
  delete keep;
  c.FillRect(TRect{0, 0, 20, 20}, clRed);
  EXPECT_EQ(t.MaskOf(clRed), Rows({"..........", ".########.", ".#####....", ".##.##....", ".#####....",
                                   ".#####....", "..........", ".........."}));
  std::unique_ptr<TcxRegion> current(c.GetClipRegion());
  EXPECT_FALSE(current->PtInRegion(6, 5));
  EXPECT_TRUE(current->PtInRegion(4, 3));

  c.RestoreClipRegion();  // the hole and the added strip are gone
  c.FillRect(TRect{0, 0, 20, 20}, clBlue);
  EXPECT_EQ(t.MaskOf(clBlue), Rows({"..........", ".#####....", ".#####....", ".#####....", ".#####....",
                                    ".#####....", "..........", ".........."}));
  c.SetClipRegion(new TcxRegion(TRect{0, 0, 5, 5}), roIntersect);  // device (-3, -2, 2, 3)
  c.FillRect(TRect{0, 0, 20, 20}, clLime);
  EXPECT_EQ(t.MaskOf(clLime), Rows({"..........", ".#........", ".#........", "..........", "..........",
                                    "..........", "..........", ".........."}));
  c.RestoreClipRegion();  // back to no clipping (the large rectangle)
  c.FillRect(TRect{0, 0, 20, 20}, clWhite);
  EXPECT_EQ(t.CountDrawn(), 80);

  // Visibility: RectFullyVisible wants both corner points (Right, Bottom included) visible.
  c.SetWindowOrg(TPoint{0, 0});
  c.IntersectClipRect(TRect{2, 2, 8, 8});
  EXPECT_TRUE(c.RectVisible(TRect{0, 0, 3, 3}));
  EXPECT_FALSE(c.RectVisible(TRect{0, 0, 2, 2}));
  EXPECT_TRUE(c.RectFullyVisible(TRect{2, 2, 6, 6}));
  EXPECT_FALSE(c.RectFullyVisible(TRect{2, 2, 8, 8}));
  EXPECT_FALSE(c.RectFullyVisible(TRect{1, 2, 6, 6}));
}

TEST_F(CanvasTest, PathsBecomeLogicalRegions) {
  TestBitmap t(20, 20);
  TcxCanvas c(t.Canvas());
  c.SetWindowOrg(TPoint{-5, -4});
  c.BeginPath();
  c.Polygon({{0, 0}, {8, 0}, {8, 6}, {0, 6}});
  c.EndPath();
  std::unique_ptr<TcxRegion> logical(c.PathToRegion());
  EXPECT_EQ(logical->BoundsRect(), (TRect{0, 0, 8, 6}));
  c.BeginPath();
  c.Polygon({{0, 0}, {8, 0}, {8, 6}, {0, 6}});
  c.EndPath();
  std::unique_ptr<TcxRegion> device(c.PathToRegion(false));
  EXPECT_EQ(device->BoundsRect(), (TRect{5, 4, 13, 10}));
}

TEST_F(CanvasTest, SaveDcHoldsTheLockAndRestoresTheDeviceContext) {
  TestBitmap t(6, 4);
  TcxCanvas c(t.Canvas());
  const int locks = t.Canvas()->LockCount();
  c.RestoreDC();  // nothing saved: harmless
  c.SaveDC();
  c.SaveDC();
  EXPECT_EQ(t.Canvas()->LockCount(), locks + 2);
  c.SetWindowOrg(TPoint{-1, 0});
  c.IntersectClipRect(TRect{0, 0, 1, 1});
  c.FillRect(TRect{0, 0, 6, 4}, clRed);
  c.RestoreDC();
  EXPECT_EQ(t.Canvas()->LockCount(), locks + 1);
  EXPECT_EQ(c.WindowOrg(), (TPoint{0, 0}));
  c.FillRect(TRect{5, 3, 6, 4}, clBlue);  // no clipping any more
  c.RestoreDC();
  EXPECT_EQ(t.Canvas()->LockCount(), locks);
  EXPECT_EQ(t.MaskOf(clRed), Rows({".#....", "......", "......", "......"}));
  EXPECT_EQ(t.At(5, 3), ColorPx(clBlue));
}

TEST_F(CanvasTest, SaveStateBringsBackFontBrushPenTextFlagsAndReadingOrder) {
  TestBitmap t(4, 4);
  TcxCanvas c(t.Canvas());
  c.RestoreState();  // harmless
  c.Font()->SetName(kTestFontName);
  c.Font()->SetHeight(-11);
  c.Font()->SetStyle({fsBold});
  c.Font()->SetColor(clMaroon);
  c.Brush()->SetColor(clAqua);
  c.Pen()->SetColor(clGreen);
  c.Pen()->SetWidth(2);
  c.SetTextFlags(ETO_RTLREADING);
  EXPECT_FALSE(c.UseRightToLeftAlignment());
  c.SaveState();
  c.Font()->SetName(u"Liberation Serif");
  c.Font()->SetHeight(-20);
  c.Font()->SetStyle({});
  c.SetFontAngle(90);
  c.Brush()->SetStyle(bsClear);
  c.Pen()->SetMode(pmXor);
  c.SetTextFlags(0);
  c.SetUseRightToLeftAlignment(true);
  EXPECT_TRUE(c.UseRightToLeftAlignment());
  c.FillRect(TRect{0, 0, 1, 1}, clRed);
  c.RestoreState();
  EXPECT_EQ(c.Font()->Name(), kTestFontName);
  EXPECT_EQ(c.Font()->Height(), -11);
  EXPECT_TRUE(c.Font()->Style().Contains(fsBold));
  EXPECT_EQ(c.Font()->Orientation(), 0);
  EXPECT_EQ(c.Font()->Color(), clMaroon);
  EXPECT_EQ(c.Brush()->Color(), clAqua);
  EXPECT_EQ(c.Brush()->Style(), bsSolid);
  EXPECT_EQ(c.Pen()->Color(), clGreen);
  EXPECT_EQ(c.Pen()->Width(), 2);
  EXPECT_EQ(c.Pen()->Mode(), pmCopy);
  EXPECT_EQ(c.TextFlags(), static_cast<int32_t>(ETO_RTLREADING));
  EXPECT_FALSE(c.UseRightToLeftAlignment());
  EXPECT_EQ(t.Canvas()->LockCount(), 0);

  // Parameters in and out.
  TcxViewParams p;
  c.GetParams(p);
  EXPECT_EQ(p.Color, clAqua);
  EXPECT_EQ(p.Font, c.Font());
  EXPECT_EQ(p.TextColor, clMaroon);
  TFont other;
  other.SetName(u"Liberation Sans");
  c.SetParams(TcxViewParams{nullptr, clNavy, &other, clTeal});
  EXPECT_EQ(c.Brush()->Color(), clNavy);
  EXPECT_EQ(c.Font()->Name(), u"Liberation Sans");
  EXPECT_EQ(c.Font()->Color(), clTeal);
}

TEST_F(CanvasTest, FontAngleAndFontHeight) {
  TestBitmap t(4, 4);
  TcxCanvas c(t.Canvas());
  c.Font()->SetName(kTestFontName);
  c.Font()->SetHeight(-13);
  c.SetFontAngle(90);
  LOGFONTW lf;
  ASSERT_NE(GetObjectW(c.Font()->Handle(), sizeof(lf), &lf), 0);
  EXPECT_EQ(lf.lfEscapement, 900);
  EXPECT_EQ(lf.lfOutPrecision, OUT_TT_ONLY_PRECIS);
  EXPECT_EQ(lf.lfHeight, -13);
  c.SetFontAngle(0);
  ASSERT_NE(GetObjectW(c.Font()->Handle(), sizeof(lf), &lf), 0);
  EXPECT_EQ(lf.lfEscapement, 0);

  TFont f;
  f.SetName(kTestFontName);
  f.SetHeight(-20);
  TEXTMETRICW tm{};
  const int h = c.FontHeight(&f);
  GetTextMetricsW(c.Handle(), &tm);
  EXPECT_EQ(h, tm.tmHeight);
  EXPECT_GE(h, 20);
}

TEST_F(CanvasTest, FocusRectanglesInversionAndRegions) {
  TestBitmap t(8, 6, 0x00FFFFFF);
  TcxCanvas c(t.Canvas());
  c.DrawFocusRectEx(TRect{0, 0, 8, 6}, {bLeft, bTop});
  // Only the left and top sides of the dotted rectangle appear.
  for (int y = 1; y < 6; ++y) EXPECT_EQ(t.At(7, y), 0x00FFFFFFu) << y;
  for (int x = 1; x < 8; ++x) EXPECT_EQ(t.At(x, 5), 0x00FFFFFFu) << x;
  int dotsLeft = 0, dotsTop = 0;
  for (int y = 0; y < 6; ++y) dotsLeft += t.Rgb(0, y) == 0;
  for (int x = 0; x < 8; ++x) dotsTop += t.Rgb(x, 0) == 0;
  EXPECT_EQ(dotsLeft, 3);
  EXPECT_EQ(dotsTop, 4);
  c.DrawFocusRectEx(TRect{0, 0, 8, 6}, {});                   // nothing
  c.DrawFocusRectEx(TRect{0, 0, 8, 6}, {bLeft, bTop}, true);  // XOR: back to white, then excluded
  EXPECT_EQ(t.MaskOf(clWhite),
            Rows({"########", "########", "########", "########", "########", "########"}));
  c.FillRect(TRect{0, 0, 8, 6}, clBlack);
  EXPECT_EQ(t.MaskOf(clWhite),
            Rows({"########", "#.......", "#.......", "#.......", "#.......", "#......."}));

  TestBitmap u(6, 4, 0x00123456);
  TcxCanvas d(u.Canvas());
  d.InvertRect(TRect{0, 0, 2, 2});
  EXPECT_EQ(u.Rgb(0, 0), 0x00EDCBA9u);
  EXPECT_EQ(u.Rgb(2, 2), 0x00123456u);
  u.Fill(0);
  d.InvertFrame(TRect{0, 0, 6, 4}, 1);
  EXPECT_EQ(u.Mask([](uint32_t v) { return (v & 0xFFFFFF) == 0xFFFFFF ? '#' : '.'; }),
            Rows({"######", "#....#", "#....#", "######"}));  // each pixel once

  u.Fill(kSentinel);
  TcxRegion ring(TRect{0, 0, 6, 4});
  ring.Combine(TRect{2, 1, 4, 3}, roSubtract);
  d.FillRegion(&ring, clNone);
  EXPECT_EQ(u.CountDrawn(), 0);
  d.DrawRegion(&ring, clYellow, clRed);
  EXPECT_EQ(u.Mask([](uint32_t v) { return v == ColorPx(clRed)      ? 'r'
                                           : v == ColorPx(clYellow) ? 'y'
                                                                    : '.'; }),
            Rows({"rrrrrr", "rr..rr", "rr..rr", "rrrrrr"}));
  d.FillRegion(ring.Handle(), clBlue);
  EXPECT_EQ(u.MaskOf(clBlue), Rows({"######", "##..##", "##..##", "######"}));
}

TEST_F(CanvasTest, PiesFollowTheSweepAndItsSign) {
  auto draw = [](const TRect& r, int start, int sweep) {
    auto t = std::make_unique<TestBitmap>(21, 21);
    TcxCanvas c(t->Canvas());
    c.Brush()->SetColor(clRed);
    c.Pen()->SetStyle(psClear);
    c.Pie(r, start, sweep);
    return t;
  };
  const TRect r{0, 0, 21, 21};
  // A full sweep is the whole ellipse.
  auto full = draw(r, 30, 360);
  auto ellipse = std::make_unique<TestBitmap>(21, 21);
  {
    TcxCanvas c(ellipse->Canvas());
    c.Brush()->SetColor(clRed);
    c.Pen()->SetStyle(psClear);
    c.Ellipse(r);
  }
  EXPECT_EQ(full->MaskOf(clRed), ellipse->MaskOf(clRed));
  struct Case {
    int start, sweep;
    TPoint in, out;
  } cases[] = {
      {0, 90, {15, 5}, {15, 15}},      // upper right
      {0, -90, {15, 15}, {15, 5}},     // lower right: clockwise, not the other three quarters
      {90, 180, {5, 10}, {15, 10}},    // the left half
      {-90, -180, {5, 10}, {15, 10}},  // the same half clockwise from the bottom
      {180, 270, {15, 15}, {5, 5}},    // three quarters from the left, leaving the upper left out
  };
  for (const auto& cs : cases) {
    auto t = draw(r, cs.start, cs.sweep);
    EXPECT_EQ(t->Rgb(cs.in.X, cs.in.Y), ColorPx(clRed)) << cs.start << " " << cs.sweep;
    EXPECT_EQ(t->At(cs.out.X, cs.out.Y), kSentinel) << cs.start << " " << cs.sweep << "\n"
                                                    << t->MaskOf(clRed);
    if (cs.sweep == -90) t->SavePng("canvas_pie_negative_sweep", 8);
  }
  EXPECT_EQ(draw(r, 10, 0)->CountDrawn(), 0);
  EXPECT_EQ(draw(TRect{5, 5, 5, 10}, 0, 90)->CountDrawn(), 0);
}

// A small bitmap of distinct pixels as text: one letter per pixel, rows top first.
std::string Letters(TBitmap* b) {
  std::string s;
  for (int y = 0; y < b->Height(); ++y) {
    for (int x = 0; x < b->Width(); ++x) s += static_cast<char>('A' + (b->Canvas()->Pixels(x, y) & 0xFF));
    s += '\n';
  }
  return s;
}

TEST_F(CanvasTest, RotateAndFlipBitmaps) {
  auto make = [](int w, int h) {
    auto b = std::make_unique<TBitmap>();
    b->SetPixelFormat(pf32bit);
    b->SetSize(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) b->Canvas()->SetPixels(x, y, static_cast<TColor>(y * w + x));
    return b;
  };
  TestBitmap host(1, 1);
  TcxCanvas c(host.Canvas());
  // A 2 x 1 bitmap: A B.
  auto ab = make(2, 1);
  c.RotateBitmap(ab.get(), raPlus90);
  EXPECT_EQ(Letters(ab.get()), Rows({"B", "A"}));
  auto ab2 = make(2, 1);
  c.RotateBitmap(ab2.get(), raMinus90);
  EXPECT_EQ(Letters(ab2.get()), Rows({"A", "B"}));
  EXPECT_EQ(ab2->PixelFormat(), pf32bit);

  // ABC / DEF.
  struct Case {
    TcxRotationAngle angle;
    bool flip;
    std::string result;
  } cases[] = {
      {ra0, false, Rows({"ABC", "DEF"})},           {ra0, true, Rows({"DEF", "ABC"})},
      {raPlus90, false, Rows({"CF", "BE", "AD"})},  {raPlus90, true, Rows({"AD", "BE", "CF"})},
      {raMinus90, false, Rows({"DA", "EB", "FC"})}, {raMinus90, true, Rows({"FC", "EB", "DA"})},
      {ra180, false, Rows({"FED", "CBA"})},         {ra180, true, Rows({"CBA", "FED"})},
  };
  for (const auto& cs : cases) {
    auto b = make(3, 2);
    c.RotateBitmap(b.get(), cs.angle, cs.flip);
    EXPECT_EQ(Letters(b.get()), cs.result) << int(cs.angle) << " " << cs.flip;
  }
  auto b = make(3, 2);
  b->Canvas()->Pixels(0, 0);
  // Alpha travels with the pixels.
  static_cast<uint32_t*>(b->ScanLine(0))[0] |= 0x7F000000u;
  c.RotateBitmap(b.get(), ra180);
  EXPECT_EQ(static_cast<uint32_t*>(b->ScanLine(1))[2] >> 24, 0x7Fu);
  c.FlipHorizontally(b.get());
  EXPECT_EQ(Letters(b.get()), Rows({"DEF", "ABC"}));
}

TEST_F(CanvasTest, GlyphsKeepTheirTransparentColourOut) {
  TBitmap glyph;
  glyph.SetPixelFormat(pf24bit);
  glyph.SetSize(3, 2);
  glyph.Canvas()->Brush()->SetColor(clFuchsia);  // the bottom-left pixel: transparent
  glyph.Canvas()->FillRect(Rect(0, 0, 3, 2));
  glyph.Canvas()->SetPixels(1, 0, clNavy);
  glyph.Canvas()->SetPixels(2, 1, clBlack);
  TestBitmap t(5, 4);
  TcxCanvas c(t.Canvas());
  c.Brush()->SetColor(clYellow);
  c.DrawGlyph(1, 1, &glyph);
  EXPECT_EQ(t.Mask(), Rows({".....", "..#..", "...#.", "....."}));
  EXPECT_EQ(c.Brush()->Style(), bsSolid);  // restored
  c.DrawGlyph(1, 1, &glyph, true, clWhite);
  EXPECT_EQ(t.MaskOf(clWhite), Rows({".....", ".#.#.", ".##..", "....."}));
  EXPECT_EQ(t.Rgb(2, 1), ColorPx(clNavy));

  // Disabled: embossed grey where the glyph has pixels, the background colour elsewhere.
  t.Fill(kSentinel);
  c.DrawGlyph(1, 1, &glyph, false, clWhite);
  EXPECT_EQ(t.MaskOf(clWhite), Rows({".....", ".#.#.", ".##..", "....."}));
  EXPECT_NE(t.Rgb(2, 1), ColorPx(clNavy));
  EXPECT_NE(t.Rgb(2, 1), ColorPx(clWhite));
  t.Fill(kSentinel);
  c.DrawGlyph(1, 1, &glyph, false);
  EXPECT_EQ(t.At(1, 1), kSentinel);
  EXPECT_NE(t.At(2, 1), kSentinel);

  // Image lists: an index outside the list draws nothing.
  TCustomImageList images(3, 2);
  images.AddMasked(&glyph, clFuchsia);
  t.Fill(kSentinel);
  c.DrawImage(&images, 0, 0, 1);
  c.DrawImage(&images, 0, 0, -1);
  EXPECT_EQ(t.CountDrawn(), 0);
  c.DrawImage(&images, 0, 0, 0);
  EXPECT_EQ(t.Mask(), Rows({".#...", "..#..", ".....", "....."}));
  EXPECT_EQ(t.Canvas()->LockCount(), 0);
}

TEST_F(CanvasTest, TransparentDrawBlendsWithOrWithoutTheSystemFunction) {
  TBitmap source;
  source.SetPixelFormat(pf32bit);
  source.SetSize(2, 1);
  source.Canvas()->SetPixels(0, 0, static_cast<TColor>(0x00FF8000));  // blue 0xFF, green 0x80
  source.Canvas()->SetPixels(1, 0, clWhite);
  auto expect = [](uint8_t d, uint8_t s, uint8_t a) { return MulDiv(d, 255 - a, 255) + MulDiv(s, a, 255); };
  for (bool bound : {true, false}) {
    os::ScopedModuleTable table;
    if (!bound) {
      os::RemoveExport("msimg32.dll", "AlphaBlend");
      cxGraphics::Finalize();
      cxGraphics::Initialize();
    }
    EXPECT_EQ(cxGraphics::VCLAlphaBlend != nullptr, bound);
    for (uint8_t alpha : {0, 100, 255}) {
      TestBitmap t(4, 2, 0x00204060);
      TcxCanvas c(t.Canvas());
      c.TransparentDraw(1, 1, &source, alpha);
      const uint32_t p = t.Rgb(1, 1), q = t.Rgb(2, 1);
      EXPECT_NEAR(p & 0xFF, expect(0x60, 0xFF, alpha), 1) << bound << " " << int(alpha);
      EXPECT_NEAR((p >> 8) & 0xFF, expect(0x40, 0x80, alpha), 1) << bound << " " << int(alpha);
      EXPECT_NEAR(p >> 16, expect(0x20, 0x00, alpha), 1) << bound << " " << int(alpha);
      EXPECT_NEAR(q >> 16, expect(0x20, 0xFF, alpha), 1) << bound << " " << int(alpha);
      EXPECT_EQ(t.Rgb(0, 0), 0x00204060u);  // outside untouched
      EXPECT_EQ(t.Rgb(3, 1), 0x00204060u);
      // Over a background graphic instead of the canvas.
      TBitmap back;
      back.SetPixelFormat(pf32bit);
      back.SetSize(2, 1);
      back.Canvas()->Brush()->SetColor(clBlack);
      back.Canvas()->FillRect(Rect(0, 0, 2, 1));
      c.TransparentDraw(0, 0, &source, alpha, &back);
      EXPECT_NEAR(t.Rgb(1, 0) >> 16, expect(0, 0xFF, alpha), 1);
    }
    if (!bound) {
      cxGraphics::Finalize();
    }
  }
  cxGraphics::Initialize();
}

TEST_F(CanvasTest, SharedCanvasesLiveUntilShutDown) {
  TcxScreenCanvas* screen = cxScreenCanvas();
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(cxScreenCanvas(), screen);
  screen->Font()->SetName(kTestFontName);
  EXPECT_GT(screen->TextWidth(u"Screen"), 0);
  EXPECT_TRUE(screen->HandleAllocated());
  screen->Dormant();
  EXPECT_FALSE(screen->HandleAllocated());
  EXPECT_GT(screen->TextWidth(u"Again"), 0);  // a new device context
  screen->Dormant();
  TcxPaintCanvas* paint = cxPaintCanvas();
  ASSERT_NE(paint, nullptr);
  EXPECT_EQ(cxPaintCanvas(), paint);
  cxGraphics::Finalize();
  EXPECT_EQ(cxScreenCanvas(), nullptr);
  EXPECT_EQ(cxPaintCanvas(), nullptr);
  cxGraphics::Initialize();
  EXPECT_NE(cxScreenCanvas(), nullptr);
}

TEST_F(CanvasTest, PaintCanvasNestsOverForeignDeviceContexts) {
  TcxPaintCanvas* c = cxPaintCanvas();
  c->EndPaint();  // without a BeginPaint: nothing
  TestBitmap outer(4, 2), inner(4, 2);
  HDC outerDC = outer.DC(), innerDC = inner.DC();
  // The inner DC has its own pen, brush, text colour and binary raster mode selected.
  HPEN pen = CreatePen(PS_DASH, 1, RGB(0, 128, 0));
  HBRUSH brush = CreateHatchBrush(HS_CROSS, RGB(0, 0, 255));
  HGDIOBJ oldPen = SelectObject(innerDC, pen), oldBrush = SelectObject(innerDC, brush);
  SetROP2(innerDC, R2_XORPEN);
  SetTextColor(innerDC, RGB(255, 0, 0));

  c->BeginPaint(outerDC);
  EXPECT_EQ(c->Counter(), 1);
  c->FillRect(TRect{0, 0, 1, 2}, clRed);
  c->BeginPaint(innerDC);
  EXPECT_EQ(c->Pen()->Color(), static_cast<TColor>(RGB(0, 128, 0)));
  EXPECT_EQ(c->Pen()->Style(), psDash);
  EXPECT_EQ(c->Pen()->Mode(), pmXor);
  EXPECT_EQ(c->Brush()->Style(), bsCross);
  EXPECT_EQ(c->Brush()->Color(), static_cast<TColor>(RGB(0, 0, 255)));
  EXPECT_EQ(c->Font()->Color(), static_cast<TColor>(RGB(255, 0, 0)));
  c->Brush()->SetStyle(bsSolid);  // a colour alone keeps a hatched style
  c->SetWindowOrg(TPoint{-1, 0});
  c->FillRect(TRect{0, 0, 1, 2}, clBlue);  // device column 1 of the inner bitmap
  c->EndPaint();
  // The outer target again, with its state.
  c->FillRect(TRect{3, 0, 4, 2}, clLime);
  c->EndPaint();
  EXPECT_EQ(c->Counter(), 0);
  EXPECT_EQ(outer.MaskOf(clRed), Rows({"#...", "#..."}));
  EXPECT_EQ(outer.MaskOf(clLime), Rows({"...#", "...#"}));
  EXPECT_EQ(inner.MaskOf(clBlue), Rows({".#..", ".#.."}));
  // The inner DC got its own objects and settings back.
  EXPECT_EQ(GetCurrentObject(innerDC, OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(innerDC, OBJ_BRUSH), brush);
  EXPECT_EQ(GetROP2(innerDC), R2_XORPEN);
  POINT org;
  GetWindowOrgEx(innerDC, &org);
  EXPECT_EQ(org, (POINT{0, 0}));
  SelectObject(innerDC, oldPen);
  SelectObject(innerDC, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);

  // A platform canvas instead of a device context.
  c->BeginPaint(outer.Canvas());
  EXPECT_EQ(c->Canvas(), outer.Canvas());
  c->Font()->SetHeight(-30);
  c->EndPaint();
  EXPECT_NE(outer.Canvas()->Font()->Height(), -30);
  EXPECT_EQ(c->Canvas(), nullptr);
}

TEST_F(CanvasTest, ControlCanvasOriginsAreRelativeToThePaintStart) {
  TestBitmap t(8, 8);
  TcxControlCanvas c(t.Canvas());
  SetWindowOrgEx(t.DC(), 5, 6, nullptr);
  SetBrushOrgEx(t.DC(), 1, 1, nullptr);
  c.BeginPaint();
  EXPECT_EQ(c.GetWindowOrg(), (TPoint{0, 0}));
  POINT brushOrg;
  GetBrushOrgEx(t.DC(), &brushOrg);
  EXPECT_EQ(brushOrg, (POINT{5, 6}));
  c.SetWindowOrg(TPoint{2, 3});
  POINT org;
  GetWindowOrgEx(t.DC(), &org);
  EXPECT_EQ(org, (POINT{7, 9}));
  EXPECT_EQ(c.GetWindowOrg(), (TPoint{2, 3}));
  EXPECT_EQ(c.GetDCOrigin(), (TPoint{-7, -9}));
  c.EndPaint();
  GetBrushOrgEx(t.DC(), &brushOrg);
  EXPECT_EQ(brushOrg, (POINT{1, 1}));
  EXPECT_EQ(c.GetWindowOrg(), (TPoint{7, 9}));
}

}  // namespace
}  // namespace testing
}  // namespace qd
