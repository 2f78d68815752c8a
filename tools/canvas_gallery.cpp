// Draws the main drawing families of the library's canvas (fills, frames, edges, tiling,
// clipping, focus rectangles, pies, regions, bitmaps, text) into a PNG, for looking at them
// by eye. Cells are 100 x 70 pixels on a light grey background.
//
//   canvas_gallery OUT.png [--zoom N]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/classes/streams.h"
#include "platform/forms/forms_init.h"
#include "gallery_png.h"
#include "ui/graphics/cxGraphics.h"

using namespace qd;

namespace {

constexpr int kCellW = 100, kCellH = 70, kColumns = 6;

struct Cell {
  const char* name;
  std::function<void(TcxCanvas& c, const TRect& r)> draw;
};

TBitmap* MakeTile() {
  auto* b = new TBitmap();
  b->SetPixelFormat(pf32bit);
  b->SetSize(6, 4);
  const TColor colours[] = {clRed, clLime, clBlue, clYellow};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) b->Canvas()->SetPixels(x, y, colours[(x / 3) + 2 * (y / 2)]);
  return b;
}

TBitmap* MakeGlyph() {
  auto* b = new TBitmap();
  b->SetPixelFormat(pf24bit);
  b->SetSize(16, 16);
  b->Canvas()->Brush()->SetColor(clFuchsia);
  b->Canvas()->FillRect(Rect(0, 0, 16, 16));
  b->Canvas()->Brush()->SetColor(clNavy);
  b->Canvas()->Pen()->SetColor(clBlack);
  b->Canvas()->Ellipse(2, 2, 14, 14);
  b->Canvas()->Brush()->SetColor(clYellow);
  b->Canvas()->FillRect(Rect(6, 6, 10, 10));
  return b;
}

void SetFont(TcxCanvas& c) {
  c.Font()->SetName(u"DejaVu Sans");
  c.Font()->SetHeight(-11);
  c.Font()->SetColor(clBlack);
  c.Brush()->SetStyle(bsClear);
}

std::vector<Cell> Cells(TBitmap* tile, TBitmap* glyph) {
  return {
      {"fills",
       [](TcxCanvas& c, const TRect& r) {
         c.FillRect(TRect{r.Left + 5, r.Top + 5, r.Left + 30, r.Top + 30}, clRed);
         c.FillRect(TRect{r.Left + 35, r.Top + 5, r.Left + 60, r.Top + 30}, clNone);
         c.SetBrushColor(clGreen);
         c.FillRect(TRect{r.Left + 65, r.Top + 5, r.Left + 90, r.Top + 30}, clDefault);
       }},
      {"frames",
       [](TcxCanvas& c, const TRect& r) {
         c.FrameRect(TRect{r.Left + 5, r.Top + 5, r.Left + 40, r.Top + 40}, clBlue);
         c.FrameRect(TRect{r.Left + 45, r.Top + 5, r.Left + 90, r.Top + 40}, clMaroon, 3, {bLeft, bTop});
         c.FrameRect(TRect{r.Left + 5, r.Top + 45, r.Left + 90, r.Top + 65}, clTeal, 2, {bRight, bBottom});
       }},
      {"complex frame",
       [](TcxCanvas& c, const TRect& r) {
         c.DrawComplexFrame(TRect{r.Left + 10, r.Top + 10, r.Left + 60, r.Top + 50}, clRed, clBlue,
                            cxBordersAll, 4);
       }},
      {"edges",
       [](TcxCanvas& c, const TRect& r) {
         for (int i = 0; i < 4; ++i) {
           TRect e{r.Left + 5 + i * 23, r.Top + 10, r.Left + 25 + i * 23, r.Top + 40};
           c.FillRect(e, clBtnFace);
           c.DrawEdge(e, i >= 2, i % 2 == 1);
         }
       }},
      {"tiles from negative",
       [tile](TcxCanvas& c, const TRect& r) {
         const TPoint org = c.WindowOrg();
         c.SetWindowOrg(TPoint{-(r.Left + 50), -(r.Top + 35)});
         c.FillRect(TRect{-41, -29, 40, 30}, tile);
         c.SetWindowOrg(org);
       }},
      {"clip save/restore",
       [](TcxCanvas& c, const TRect& r) {
         c.SaveClipRegion();
         c.IntersectClipRect(TRect{r.Left + 20, r.Top + 10, r.Left + 80, r.Top + 60});
         c.SaveClipRegion();
         c.ExcludeClipRect(TRect{r.Left + 40, r.Top + 25, r.Left + 60, r.Top + 45});
         c.FillRect(r, clOlive);
         c.RestoreClipRegion();
         c.FillRect(TRect{r.Left + 45, r.Top + 30, r.Left + 55, r.Top + 40}, clRed);
         c.RestoreClipRegion();
         c.FillRect(TRect{r.Left + 2, r.Top + 2, r.Left + 12, r.Top + 12}, clNavy);
       }},
      {"focus rects",
       [](TcxCanvas& c, const TRect& r) {
         c.FillRect(TRect{r.Left + 5, r.Top + 5, r.Right - 5, r.Bottom - 5}, clWhite);
         c.DrawFocusRect(TRect{r.Left + 10, r.Top + 10, r.Left + 45, r.Top + 35});
         c.DrawFocusRectEx(TRect{r.Left + 50, r.Top + 10, r.Left + 90, r.Top + 35}, {bLeft, bTop});
         c.DrawDesignSelection(TRect{r.Left + 10, r.Top + 40, r.Left + 90, r.Top + 62}, 3);
       }},
      {"invert",
       [](TcxCanvas& c, const TRect& r) {
         c.FillRect(TRect{r.Left + 5, r.Top + 5, r.Left + 50, r.Top + 60}, clYellow);
         c.InvertRect(TRect{r.Left + 10, r.Top + 10, r.Left + 30, r.Top + 30});
         c.InvertFrame(TRect{r.Left + 55, r.Top + 10, r.Left + 95, r.Top + 60}, 4);
       }},
      {"pies 90 -90 360 200",
       [](TcxCanvas& c, const TRect& r) {
         c.Brush()->SetColor(clRed);
         c.Pie(TRect{r.Left + 2, r.Top + 5, r.Left + 24, r.Top + 35}, 0, 90);
         c.Brush()->SetColor(clBlue);
         c.Pie(TRect{r.Left + 26, r.Top + 5, r.Left + 48, r.Top + 35}, 0, -90);
         c.Brush()->SetColor(clGreen);
         c.Pie(TRect{r.Left + 50, r.Top + 5, r.Left + 72, r.Top + 35}, 45, 360);
         c.Brush()->SetColor(clYellow);
         c.Pie(TRect{r.Left + 74, r.Top + 5, r.Left + 98, r.Top + 35}, 90, 200);
       }},
      {"regions",
       [](TcxCanvas& c, const TRect& r) {
         std::unique_ptr<TcxRegion> rgn(
             TcxRegion::CreateRoundCorners(TRect{r.Left + 10, r.Top + 10, r.Left + 50, r.Top + 60}, 16, 16));
         c.DrawRegion(rgn.get(), clAqua, clNavy, 2, 2);
         TcxRegion ring(TRect{r.Left + 55, r.Top + 10, r.Left + 95, r.Top + 60});
         ring.Combine(TRect{r.Left + 65, r.Top + 20, r.Left + 85, r.Top + 50}, roSubtract);
         c.FillRegion(&ring, clPurple);
       }},
      {"rotations",
       [tile](TcxCanvas& c, const TRect& r) {
         const TcxRotationAngle angles[] = {ra0, raPlus90, raMinus90, ra180};
         for (int i = 0; i < 4; ++i)
           for (int flip = 0; flip < 2; ++flip) {
             TBitmap b;
             b.Assign(tile);
             c.RotateBitmap(&b, angles[i], flip == 1);
             TBitmap big;
             big.SetPixelFormat(pf32bit);
             big.SetSize(b.Width() * 3, b.Height() * 3);
             big.Canvas()->StretchDraw(Rect(0, 0, big.Width(), big.Height()), &b);
             c.Draw(r.Left + 4 + i * 24, r.Top + 4 + flip * 32, &big);
           }
       }},
      {"glyphs",
       [glyph](TcxCanvas& c, const TRect& r) {
         c.DrawGlyph(r.Left + 5, r.Top + 10, glyph);
         c.DrawGlyph(r.Left + 25, r.Top + 10, glyph, true, clWhite);
         c.DrawGlyph(r.Left + 45, r.Top + 10, glyph, false);
         c.DrawGlyph(r.Left + 65, r.Top + 10, glyph, false, clWhite);
       }},
      {"transparent draw",
       [tile](TcxCanvas& c, const TRect& r) {
         c.FillRect(TRect{r.Left + 5, r.Top + 5, r.Left + 95, r.Top + 65}, clWhite);
         TBitmap big;
         big.SetPixelFormat(pf32bit);
         big.SetSize(24, 16);
         big.Canvas()->StretchDraw(Rect(0, 0, 24, 16), tile);
         for (int i = 0; i < 3; ++i)
           c.TransparentDraw(r.Left + 8 + i * 28, r.Top + 20, &big, static_cast<uint8_t>(60 + i * 90));
       }},
      {"text enabled/disabled",
       [](TcxCanvas& c, const TRect& r) {
         SetFont(c);
         const TRect a{r.Left + 4, r.Top + 4, r.Right - 4, r.Top + 20};
         c.FrameRect(a, clSilver);
         c.DrawTexT(u"Left", a, cxSingleLine | cxAlignVCenter);
         c.DrawTexT(u"Right", a, cxSingleLine | cxAlignRight | cxAlignVCenter);
         c.FillRect(TRect{r.Left + 4, r.Top + 24, r.Right - 4, r.Top + 44}, clBtnFace);
         c.DrawTexT(u"Disabled", TRect{r.Left + 4, r.Top + 24, r.Right - 4, r.Top + 44},
                    cxSingleLine | cxAlignHCenter | cxAlignVCenter, false);
         c.DrawTexT(u"&Prefix && end ellipsis text", TRect{r.Left + 4, r.Top + 48, r.Right - 4, r.Top + 66},
                    cxSingleLine | cxShowPrefix | cxShowEndEllipsis);
       }},
      {"wrap, bottom aligned",
       [](TcxCanvas& c, const TRect& r) {
         SetFont(c);
         const TRect a{r.Left + 4, r.Top + 4, r.Right - 4, r.Bottom - 4};
         c.FrameRect(a, clSilver);
         c.DrawTexT(u"Two words wrapped to lines", a, cxWordBreak | cxAlignBottom | cxAlignHCenter);
       }},
      {"rotated 0 +90 -90 180",
       [](TcxCanvas& c, const TRect& r) {
         SetFont(c);
         const TcxRotationAngle angles[] = {ra0, raPlus90, raMinus90, ra180};
         const TRect boxes[] = {{r.Left + 4, r.Top + 4, r.Left + 60, r.Top + 20},
                                {r.Left + 62, r.Top + 4, r.Left + 78, r.Top + 66},
                                {r.Left + 80, r.Top + 4, r.Left + 96, r.Top + 66},
                                {r.Left + 4, r.Top + 24, r.Left + 60, r.Top + 40}};
         for (int i = 0; i < 4; ++i) {
           c.FillRect(boxes[i], clWhite);
           cxDrawText(&c, u"Text", boxes[i], DT_SINGLELINE | DT_CENTER | DT_VCENTER, clBlue, angles[i]);
         }
       }},
      {"multiline, centred",
       [](TcxCanvas& c, const TRect& r) {
         SetFont(c);
         const TRect a{r.Left + 4, r.Top + 4, r.Right - 4, r.Bottom - 4};
         c.FrameRect(a, clSilver);
         cxDrawMultilineText(&c, u"One two three four\r\nfive", a, DT_CENTER | DT_VCENTER, clMaroon);
       }},
      {"line bounds",
       [](TcxCanvas& c, const TRect& r) {
         SetFont(c);
         const TRect a{r.Left + 4, r.Top + 4, r.Right - 4, r.Bottom - 4};
         const int32_t flags = cxWordBreak | cxAlignHCenter | cxAlignVCenter;
         c.DrawTexT(u"Bounds of every line here", a, flags);
         std::vector<TRect> bounds;
         c.GetTextStringsBounds(u"Bounds of every line here", a, bounds, true, flags);
         for (const TRect& b : bounds) c.FrameRect(b, clRed);
       }},
  };
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: canvas_gallery OUT.png [--zoom N]\n");
    return 2;
  }
  int zoom = 2;
  for (int i = 2; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--zoom") == 0) zoom = std::max(1, std::atoi(argv[i + 1]));
  forms::Initialize();
  cxGraphics::Initialize();
  {
    std::unique_ptr<TBitmap> tile(MakeTile()), glyph(MakeGlyph());
    const std::vector<Cell> cells = Cells(tile.get(), glyph.get());
    TBitmap picture;
    tools::DrawGalleryGrid(picture, cells, kColumns, kCellW, kCellH,
                           [](TcxCanvas& canvas, size_t, const TRect& r) { canvas.FrameRect(r, clGray); });
    if (!tools::SaveGalleryPng(picture, zoom, argv[1])) {
      std::fprintf(stderr, "canvas_gallery: cannot write %s\n", argv[1]);
      return 1;
    }
  }
  cxGraphics::Finalize();
  forms::Finalize();
  return 0;
}
