// Draws the base painter's arrows, borders, separators, bevels, buttons, check boxes, radio
// buttons and shared bitmaps in every state into a PNG, for looking at them by eye. Each cell
// holds one element over a white area with its name below.
//
//   painter_draw_gallery OUT.png [--zoom N]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "gallery_png.h"
#include "platform/os/gdi.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersBitmaps.h"

using namespace qd;

namespace {

constexpr int kCellW = 64, kCellH = 52, kColumns = 10, kArea = 40;

struct Cell {
  std::string name;
  std::function<void(TcxCanvas& c, const TRect& r)> draw;
};

// The element's area of a cell: white, with the element's rectangle of the size centred.
TRect Area(TcxCanvas& c, const TRect& r, int w, int h) {
  const TRect area{r.Left + 1, r.Top + 1, r.Right - 1, r.Top + kArea};
  c.FillRect(area, clWhite);
  const int l = area.Left + (area.Width() - w) / 2, t = area.Top + (area.Height() - h) / 2;
  return TRect{l, t, l + w, t + h};
}

// A painter with the one-pixel raised border of a classic button, to show the base drawing
// with a border.
class BorderedPainter : public TcxCustomLookAndFeelPainter {
 public:
  int32_t ButtonBorderSize(TcxButtonState) override { return 2; }
  void DrawButtonBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) override {
    const bool down = AState == cxbsPressed;
    ACanvas->DrawComplexFrame(R, down ? clBtnShadow : clBtnHighlight, down ? clBtnHighlight : cl3DDkShadow);
    ACanvas->DrawComplexFrame(cxRectInflate(R, -1), down ? cl3DDkShadow : cl3DLight, clBtnShadow);
  }
  int32_t ScaledButtonTextShift(TdxScaleFactor* AScaleFactor) override { return AScaleFactor->Apply(1); }
  TcxLookAndFeelStyle LookAndFeelStyle() override { return style; }
  TcxLookAndFeelStyle style = lfsStandard;
};

const char* const kStates[] = {"default", "normal", "hot", "pressed", "disabled"};

std::vector<Cell> Cells(TcxCustomLookAndFeelPainter& p, BorderedPainter& b) {
  TdxScaleFactor* sf = dxDefaultScaleFactor();
  std::vector<Cell> cells;
  const char* const dirs[] = {"up", "down", "left", "right"};
  for (int d = 0; d < 4; ++d)
    cells.push_back({std::string("arrow ") + dirs[d], [&p, d](TcxCanvas& c, const TRect& r) {
                       p.DrawArrow(&c, Area(c, r, 13, 13), static_cast<TcxArrowDirection>(d), clNavy);
                     }});
  cells.push_back({"button arrow", [&p](TcxCanvas& c, const TRect& r) {
                     p.DrawButtonArrow(&c, Area(c, r, 16, 12), clBlack);
                   }});
  cells.push_back({"collapse", [&p](TcxCanvas& c, const TRect& r) {
                     p.DrawCollapseArrow(&c, Area(c, r, 15, 15), clNavy, 2);
                   }});
  for (int s = cxbsNormal; s <= cxbsDisabled; ++s)
    cells.push_back({std::string("arrow btn ") + kStates[s], [&b, s, sf](TcxCanvas& c, const TRect& r) {
                       b.DrawScaledArrow(&c, Area(c, r, 17, 17), static_cast<TcxButtonState>(s), adDown, sf);
                     }});
  for (int s = cxbsNormal; s <= cxbsDisabled; ++s)
    cells.push_back({std::string("scroll ") + kStates[s], [&b, s, sf](TcxCanvas& c, const TRect& r) {
                       const TRect a = Area(c, r, 17, 17);
                       c.FillRect(a, clBtnFace);
                       b.DrawScaledScrollBarArrow(&c, a, static_cast<TcxButtonState>(s), adLeft, sf);
                     }});
  const char* const borders[] = {"none", "single", "thick", "flat", "3D", "ultraflat", "office11"};
  for (int s = 0; s < 7; ++s)
    cells.push_back({std::string("border ") + borders[s], [&p, s](TcxCanvas& c, const TRect& r) {
                       const TcxContainerBorderStyle style = static_cast<TcxContainerBorderStyle>(s);
                       p.DrawContainerBorder(&c, Area(c, r, 40, 20), style, p.GetContainerBorderWidth(style),
                                             clNavy, cxBordersAll);
                     }});
  cells.push_back(
      {"separator", [&p](TcxCanvas& c, const TRect& r) { p.DoDrawSeparator(&c, Area(c, r, 40, 2), false); }});
  cells.push_back({"label line", [&p](TcxCanvas& c, const TRect& r) {
                     p.DrawLabelLine(&c, Area(c, r, 40, p.LabelLineHeight()), clDefault, clDefault, false);
                   }});
  const char* const shapes[] = {"box", "frame", "top", "bottom", "left", "right", "c. horz", "c. vert"};
  for (int s = 0; s < 8; ++s)
    for (int st = 0; st < 2; ++st)
      cells.push_back(
          {std::string(st ? "raised " : "lowered ") + shapes[s], [&p, s, st](TcxCanvas& c, const TRect& r) {
             p.DrawBevelShape(&c, Area(c, r, 30, 24), static_cast<TdxBevelShape>(s + 1),
                              static_cast<TdxBevelStyle>(st));
           }});
  for (int s = cxbsDefault; s <= cxbsDisabled; ++s)
    cells.push_back({std::string("button ") + kStates[s], [&b, s, sf](TcxCanvas& c, const TRect& r) {
                       c.Font()->SetName(u"DejaVu Sans");
                       c.Font()->SetHeight(-11);
                       b.DrawScaledButton(&c, Area(c, r, 56, 23), u"&Ok", static_cast<TcxButtonState>(s), sf);
                     }});
  for (int e = 0; e < 2; ++e)
    cells.push_back({e ? "mark expanded" : "mark collapsed", [&p, e, sf](TcxCanvas& c, const TRect& r) {
                       p.DrawScaledExpandMark(&c, Area(c, r, 15, 15), clBlack, e, sf);
                     }});
  for (int a = 0; a < 4; ++a)
    cells.push_back(
        {std::string("expand rot ") + std::to_string(a), [&b, a, sf](TcxCanvas& c, const TRect& r) {
           b.DrawScaledExpandButtonEx(&c, Area(c, r, 19, 19), cxbsNormal, false, sf,
                                      static_cast<TcxRotationAngle>(a));
         }});
  for (int s = cxbsNormal; s <= cxbsDisabled; ++s)
    cells.push_back({std::string("group ") + kStates[s], [&b, s, sf](TcxCanvas& c, const TRect& r) {
                       b.DrawScaledGroupExpandButton(&c, Area(c, r, 19, 19), s % 2,
                                                     static_cast<TcxButtonState>(s), sf);
                     }});
  for (int e = 0; e < 2; ++e)
    cells.push_back({e ? "small minus" : "small plus", [&p, e, sf](TcxCanvas& c, const TRect& r) {
                       p.DrawScaledSmallExpandButton(&c, Area(c, r, 9, 9), e, clGray, sf, clWindow);
                     }});
  for (int s = cxbsNormal; s <= cxbsDisabled; ++s)
    cells.push_back({std::string("close ") + kStates[s], [&b, s, sf](TcxCanvas& c, const TRect& r) {
                       b.DrawScaledSmallCloseButton(&c, Area(c, r, 16, 14), static_cast<TcxButtonState>(s),
                                                    sf);
                     }});
  for (int s = cxbsNormal; s <= cxbsDisabled; s += 3) {
    cells.push_back({std::string("zoom in ") + kStates[s], [&b, s, sf](TcxCanvas& c, const TRect& r) {
                       b.DrawScaledZoomInButton(&c, Area(c, r, 15, 15), static_cast<TcxButtonState>(s), sf);
                     }});
    cells.push_back({std::string("zoom out ") + kStates[s], [&b, s, sf](TcxCanvas& c, const TRect& r) {
                       b.DrawScaledZoomOutButton(&c, Area(c, r, 15, 15), static_cast<TcxButtonState>(s), sf);
                     }});
  }
  for (int s = cxbsDefault; s <= cxbsDisabled; ++s)
    cells.push_back({std::string("back ") + kStates[s], [&p, s, sf](TcxCanvas& c, const TRect& r) {
                       const TSize size = p.GetScaledBackButtonSize(sf);
                       p.DrawScaledBackButton(&c, Area(c, r, size.cx, size.cy),
                                              static_cast<TcxButtonState>(s), sf);
                     }});
  for (int s = cxbsDefault; s <= cxbsDisabled; ++s)
    cells.push_back({std::string("search ") + kStates[s], [&p, s, sf](TcxCanvas& c, const TRect& r) {
                       p.DrawScaledSearchEditButtonGlyph(&c, Area(c, r, 20, 20),
                                                         static_cast<TcxButtonState>(s), sf);
                     }});
  for (int s = cxbsNormal; s <= cxbsHot; ++s)
    cells.push_back({std::string("link ") + kStates[s], [&b, s, sf](TcxCanvas& c, const TRect& r) {
                       const TRect a = Area(c, r, 40, 28);
                       b.DrawScaledCommandLinkBackground(&c, a, static_cast<TcxButtonState>(s), sf);
                       b.DrawScaledCommandLinkGlyph(&c, TPoint{a.Left + 4, a.Top + 4},
                                                    static_cast<TcxButtonState>(s), sf);
                     }});
  const char* const checks[] = {"off", "on", "grey"};
  for (int k = 0; k < 3; ++k)
    for (int s = cxbsNormal; s <= cxbsDisabled; ++s)
      cells.push_back(
          {std::string(checks[k]) + " " + kStates[s], [&p, s, k, sf](TcxCanvas& c, const TRect& r) {
             const TSize size = p.ScaledCheckButtonSize(sf);
             p.DrawScaledCheckButton(&c, Area(c, r, size.cx, size.cy), static_cast<TcxButtonState>(s),
                                     static_cast<TcxCheckBoxState>(k), sf);
           }});
  cells.push_back({"check 3/2", [&p](TcxCanvas& c, const TRect& r) {
                     TdxScaleFactor big;
                     big.Assign(3, 2, false);
                     const TSize size = p.ScaledCheckButtonSize(&big);
                     p.DrawScaledCheckButton(&c, Area(c, r, size.cx, size.cy), cxbsNormal, cbsChecked, &big);
                   }});
  cells.push_back({"thumb", [&b, sf](TcxCanvas& c, const TRect& r) {
                     b.DrawScaledToggleSwitchThumb(&c, Area(c, r, 24, 20), cxbsNormal, sf);
                   }});
  const char* const styles[] = {"flat", "std", "ultra", "native", "o11"};
  const TcxLookAndFeelStyle styleOf[] = {lfsFlat, lfsStandard, lfsUltraFlat, lfsNative, lfsOffice11};
  for (int k = 0; k < 5; ++k)
    for (int s = cxbsNormal; s <= cxbsDisabled; ++s)
      for (int on = 0; on < 2; ++on)
        cells.push_back({std::string("radio ") + styles[k] + " " + kStates[s] + (on ? " on" : ""),
                         [&b, k, s, on, sf, styleOf](TcxCanvas& c, const TRect& r) {
                           b.style = styleOf[k];
                           const TSize size = b.ScaledRadioButtonSize(sf);
                           const TRect a = Area(c, r, size.cx, size.cy);
                           b.DrawScaledRadioButton(&c, a.Left, a.Top, static_cast<TcxButtonState>(s), on,
                                                   false, clDefault, sf);
                         }});
  cells.push_back({"radio 3/2", [&b](TcxCanvas& c, const TRect& r) {
                     TdxScaleFactor big;
                     big.Assign(3, 2, false);
                     b.style = lfsStandard;
                     const TSize size = b.ScaledRadioButtonSize(&big);
                     const TRect a = Area(c, r, size.cx, size.cy);
                     b.DrawScaledRadioButton(&c, a.Left, a.Top, cxbsNormal, true, false, clBtnFace, &big);
                   }});
  const char* const corners[] = {"grip TL", "grip TR", "grip BL", "grip BR"};
  for (int k = 0; k < 4; ++k)
    cells.push_back({corners[k], [k, sf](TcxCanvas& c, const TRect& r) {
                       dxRotateSizeGrip(&c, Area(c, r, 16, 16), sf, clBtnFace, static_cast<TdxCorner>(k),
                                        [](TcxCanvas* ACanvas, const TRect& R, const TdxScaleFactor*) {
                                          RECT rc{R.Left, R.Top, R.Right, R.Bottom};
                                          DrawFrameControl(ACanvas->Handle(), &rc, DFC_SCROLL,
                                                           DFCS_SCROLLSIZEGRIP);
                                        });
                     }});
  for (int k = 0; k < 2; ++k)
    cells.push_back({k ? "pattern pressed" : "pattern", [k](TcxCanvas& c, const TRect& r) {
                       const TRect a = Area(c, r, 32, 24);
                       for (int y = a.Top; y < a.Bottom; y += 8)
                         for (int x = a.Left; x < a.Right; x += 8) c.Draw(x, y, StdScrollBitmaps[k].get());
                     }});
  return cells;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: painter_draw_gallery OUT.png [--zoom N]\n");
    return 2;
  }
  int zoom = 3;
  for (int i = 2; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--zoom") == 0) zoom = std::max(1, std::atoi(argv[i + 1]));
  InitializeUnits();
  bool ok;
  {
    TcxCustomLookAndFeelPainter plain;
    BorderedPainter bordered;
    const std::vector<Cell> cells = Cells(plain, bordered);
    TBitmap picture;
    tools::DrawGalleryGrid(picture, cells, kColumns, kCellW, kCellH,
                           [&cells](TcxCanvas& c, size_t i, const TRect& r) {
                             c.Font()->SetName(u"DejaVu Sans");
                             c.Font()->SetHeight(-8);
                             c.Font()->SetColor(clBlack);
                             c.Brush()->SetStyle(bsClear);
                             c.DrawTexT(String(cells[i].name.begin(), cells[i].name.end()),
                                        TRect{r.Left, r.Top + kArea, r.Right, r.Bottom},
                                        cxAlignHCenter | cxAlignVCenter | cxSingleLine);
                             c.Brush()->SetStyle(bsSolid);
                           });
    ok = tools::SaveGalleryPng(picture, zoom, argv[1]);
  }
  FinalizeUnits();
  if (!ok) {
    std::fprintf(stderr, "painter_draw_gallery: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
