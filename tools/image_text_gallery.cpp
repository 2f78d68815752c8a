// Draws a sheet of image drawing and text layout into a PNG, for looking at by eye: the fit
// modes, the draw modes, text layouts (alignment, justification, distribution), the end
// ellipsis, a highlighted range, rotated text and the Office 11 colours. Cells are
// 120 x 80 pixels on a light grey background, each with its name at the bottom.
//
//   image_text_gallery OUT.png [--zoom N]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gallery_png.h"
#include "platform/forms/forms_init.h"
#include "ui/graphics/cxGraphics.h"
#include "ui/graphics/cxGraphicsImages.h"
#include "ui/graphics/cxTextLayout.h"
#include "ui/graphics/dxOffice11.h"

namespace qd {
namespace {

constexpr int kCellW = 120, kCellH = 80, kColumns = 6, kCaptionH = 14;

struct Cell {
  std::string name;
  std::function<void(TcxCanvas& c, const TRect& r)> draw;
};

// 24 x 16: a navy ellipse with a yellow centre on fuchsia, the fuchsia bottom-left pixel
// transparent.
TBitmap* MakeGlyph() {
  auto* b = new TBitmap();
  b->SetPixelFormat(pf24bit);
  b->SetSize(24, 16);
  b->Canvas()->Brush()->SetColor(clFuchsia);
  b->Canvas()->FillRect(Rect(0, 0, 24, 16));
  b->Canvas()->Brush()->SetColor(clNavy);
  b->Canvas()->Pen()->SetColor(clBlack);
  b->Canvas()->Ellipse(1, 1, 23, 15);
  b->Canvas()->Brush()->SetColor(clYellow);
  b->Canvas()->FillRect(Rect(9, 5, 15, 11));
  b->SetTransparent(true);
  return b;
}

TFont* GalleryFont() {
  static TFont font;
  font.SetName(u"DejaVu Sans");
  font.SetHeight(-11);
  font.SetColor(clBlack);
  return &font;
}

TRect Inner(const TRect& r) {
  return {r.Left + 4, r.Top + 4, r.Right - 4, r.Bottom - kCaptionH};
}

void TextCell(TcxCanvas& c, const TRect& r, const String& text, uint32_t format, int32_t selStart = 0,
              int32_t selLength = 0) {
  TRect a = Inner(r);
  c.FillRect(a, clWhite);
  cxTextOut(c.Handle(), text, a, format, selStart, selLength, GalleryFont());
}

std::vector<Cell> Cells(TBitmap* glyph) {
  std::vector<Cell> cells;
  const char* fitNames[] = {"fit: normal", "fit: stretch", "fit: proportional", "fit: fit", "fit: fill"};
  for (int m = ifmNormal; m <= ifmFill; ++m)
    cells.push_back({fitNames[m], [glyph, m](TcxCanvas& c, const TRect& r) {
                       const TRect a = Inner(r);
                       c.FillRect(a, clWhite);
                       c.SaveClipRegion();
                       c.IntersectClipRect(a);
                       cxDrawImage(&c, a, glyph, static_cast<TcxImageFitMode>(m));
                       c.RestoreClipRegion();
                       c.FrameRect(a, clSilver);
                     }});
  cells.push_back({"fit: fit shrinks", [glyph](TcxCanvas& c, const TRect& r) {
                     const TRect a = Inner(r);
                     c.FillRect(a, clWhite);
                     const TRect small{a.Left + 30, a.Top + 20, a.Left + 42, a.Top + 28};
                     cxDrawImage(&c, small, glyph, ifmFit);
                     c.FrameRect(small, clRed);
                   }});
  const char* modeNames[] = {"normal", "disabled", "faded", "grayscale", "dingy", "shadowed"};
  for (int d = idmNormal; d <= idmShadowed; ++d)
    cells.push_back({std::string("draw: ") + modeNames[d], [glyph, d](TcxCanvas& c, const TRect& r) {
                       const TRect a = Inner(r);
                       c.FillRect(a, static_cast<TColor>(0xF0E8E0));
                       const TRect g = cxGetImageRect(a, TSize{48, 32}, ifmNormal);
                       cxDrawImage(c.Handle(), g, a, glyph, nullptr, -1, static_cast<TcxImageDrawMode>(d),
                                   false, nullptr, clNone, true);
                     }});
  const String para = u"The quick brown fox jumps over the lazy dog again and again.";
  cells.push_back(
      {"text: left", [para](TcxCanvas& c, const TRect& r) { TextCell(c, r, para, CXTO_WORDBREAK); }});
  cells.push_back({"text: centred", [para](TcxCanvas& c, const TRect& r) {
                     TextCell(c, r, para, CXTO_WORDBREAK | CXTO_CENTER_HORIZONTALLY | CXTO_CENTER_VERTICALLY);
                   }});
  cells.push_back({"text: right, bottom", [para](TcxCanvas& c, const TRect& r) {
                     TextCell(c, r, para, CXTO_WORDBREAK | CXTO_RIGHT | CXTO_BOTTOM);
                   }});
  cells.push_back({"text: justified", [para](TcxCanvas& c, const TRect& r) {
                     TextCell(c, r, para, CXTO_WORDBREAK | CXTO_JUSTIFY_HORIZONTALLY);
                   }});
  cells.push_back({"text: distributed", [](TcxCanvas& c, const TRect& r) {
                     TextCell(c, r, u"one two\nthree four",
                              CXTO_DISTRIBUTE_HORIZONTALLY | CXTO_DISTRIBUTE_VERTICALLY);
                   }});
  cells.push_back({"text: char break", [](TcxCanvas& c, const TRect& r) {
                     TextCell(c, r, u"Supercalifragilisticexpialidocious", CXTO_WORDBREAK | CXTO_CHARBREAK);
                   }});
  cells.push_back({"ellipsis: single line", [](TcxCanvas& c, const TRect& r) {
                     TextCell(c, r, u"A single line that is much too long",
                              CXTO_SINGLELINE | CXTO_END_ELLIPSIS);
                   }});
  cells.push_back({"ellipsis: last row", [para](TcxCanvas& c, const TRect& r) {
                     TextCell(c, r, para + para, CXTO_WORDBREAK | CXTO_END_ELLIPSIS);
                   }});
  cells.push_back(
      {"highlight", [para](TcxCanvas& c, const TRect& r) { TextCell(c, r, para, CXTO_WORDBREAK, 10, 20); }});
  cells.push_back({"highlight + ellipsis", [](TcxCanvas& c, const TRect& r) {
                     TextCell(c, r, u"Highlighted to the very end of it", CXTO_SINGLELINE | CXTO_END_ELLIPSIS,
                              12, 40);
                   }});
  cells.push_back({"rotated: up", [](TcxCanvas& c, const TRect& r) {
                     const TRect a = Inner(r);
                     c.FillRect(a, clWhite);
                     SetTextColor(c.Handle(), RGB(0, 0, 128));
                     cxRotatedTextOut(c.Handle(), a, u"Up we go", GalleryFont(), taCenterX, taCenterY, false,
                                      true, false, vtdBottomToTop);
                   }});
  cells.push_back({"rotated: down, wrapped", [](TcxCanvas& c, const TRect& r) {
                     const TRect a = Inner(r);
                     c.FillRect(a, clWhite);
                     SetTextColor(c.Handle(), RGB(128, 0, 0));
                     cxRotatedTextOut(c.Handle(), a, u"Down and wrapped words", GalleryFont(), taLeft, taTop,
                                      true, true, false, vtdTopToBottom);
                   }});
  cells.push_back(
      {"office 11", [](TcxCanvas& c, const TRect& r) {
         const TRect a = Inner(r);
         const TRect top{a.Left, a.Top, a.Right, a.Top + a.Height() / 2};
         Office11FillTubeGradientRect(c.Handle(), top, dxOffice11ToolbarsColor1, dxOffice11ToolbarsColor2,
                                      false);
         const TRect bottom{a.Left, top.Bottom, a.Right, a.Bottom};
         c.FillRect(bottom, dxOffice11DockColor1);
         Office11DrawFingerElements(
             c.Handle(), TRect{bottom.Left + 4, bottom.Top + 4, bottom.Left + 8, bottom.Bottom - 4}, true);
         Office11DrawSizeGrip(c.Handle(), bottom);
         Office11FrameSelectedRect(
             c.Handle(), TRect{bottom.Left + 20, bottom.Top + 6, bottom.Left + 60, bottom.Bottom - 6});
       }});
  return cells;
}

}  // namespace
}  // namespace qd

int main(int argc, char** argv) {
  using namespace qd;
  if (argc < 2) {
    std::fprintf(stderr, "usage: image_text_gallery OUT.png [--zoom N]\n");
    return 2;
  }
  int zoom = 2;
  for (int i = 2; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--zoom") == 0) zoom = std::max(1, std::atoi(argv[i + 1]));
  forms::Initialize();
  cxGraphics::Initialize();
  cxTextLayout::Initialize();
  CreateOffice11Colors();
  int result = 0;
  {
    std::unique_ptr<TBitmap> glyph(MakeGlyph());
    const std::vector<Cell> cells = Cells(glyph.get());
    TBitmap picture;
    tools::DrawGalleryGrid(
        picture, cells, kColumns, kCellW, kCellH, [&](TcxCanvas& canvas, size_t i, const TRect& r) {
          TRect caption{r.Left + 2, r.Bottom - kCaptionH, r.Right - 2, r.Bottom};
          const String name(cells[i].name.begin(), cells[i].name.end());
          cxTextOut(canvas.Handle(), name, caption,
                    CXTO_SINGLELINE | CXTO_CENTER_HORIZONTALLY | CXTO_END_ELLIPSIS, 0, 0, GalleryFont());
          canvas.FrameRect(r, clGray);
        });
    if (!tools::SaveGalleryPng(picture, zoom, argv[1])) {
      std::fprintf(stderr, "image_text_gallery: cannot write %s\n", argv[1]);
      result = 1;
    }
  }
  ReleaseOffice11Colors();
  cxTextLayout::Finalize();
  cxGraphics::Finalize();
  forms::Finalize();
  return result;
}
