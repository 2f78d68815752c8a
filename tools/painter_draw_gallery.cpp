// Draws the base painter's arrows, borders, separators, bevels, buttons, check boxes, radio
// buttons and shared bitmaps in every state into a PNG, for looking at them by eye. Each cell
// holds one element over a white area with its name below. With --painter, the sheet is drawn
// by the registered painter of that name ("Standard", "Flat", "UltraFlat", ...), followed by
// its borders, scroll-bar parts, headers, tabs, group boxes, track bars and toggle switches.
//
//   painter_draw_gallery OUT.png [--zoom N] [--painter NAME [--own] [--dpi D]]
//
// --own leaves out the base sheet and draws only the painter's own elements; --dpi draws those
// at the scale factor of D DPI (144 for 3/2) in cells grown alike.
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

constexpr int kColumns = 10;
// The cell's size and the height of its element area; larger for a sheet drawn at a higher DPI.
int gCellW = 64, gCellH = 52, gArea = 40;

struct Cell {
  std::string name;
  std::function<void(TcxCanvas& c, const TRect& r)> draw;
};

// The element's area of a cell: white, with the element's rectangle of the size centred.
TRect Area(TcxCanvas& c, const TRect& r, int w, int h) {
  const TRect area{r.Left + 1, r.Top + 1, r.Right - 1, r.Top + gArea};
  c.FillRect(area, clWhite);
  const int l = area.Left + (area.Width() - w) / 2, t = area.Top + (area.Height() - h) / 2;
  return TRect{l, t, l + w, t + h};
}

// The area of an element of a design size (at 96 DPI) drawn at the scale factor.
TRect Area(TcxCanvas& c, const TRect& r, TdxScaleFactor* sf, int w, int h) {
  return Area(c, r, sf->Apply(w), sf->Apply(h));
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

// The base sheet: p draws what needs no border, b what does (the same painter for a registered
// one). Radio buttons are drawn in every kind by the bordered stand-in, in its own kind by a
// registered painter.
std::vector<Cell> Cells(TcxCustomLookAndFeelPainter& p, TcxCustomLookAndFeelPainter& b) {
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
  BorderedPainter* standIn = dynamic_cast<BorderedPainter*>(&b);
  for (int k = 0; k < 5; ++k)
    for (int s = cxbsNormal; s <= cxbsDisabled; ++s)
      for (int on = 0; on < 2; ++on) {
        if (!standIn && b.LookAndFeelStyle() != styleOf[k]) continue;
        cells.push_back({std::string("radio ") + styles[k] + " " + kStates[s] + (on ? " on" : ""),
                         [&b, standIn, k, s, on, sf, styleOf](TcxCanvas& c, const TRect& r) {
                           if (standIn) standIn->style = styleOf[k];
                           const TSize size = b.ScaledRadioButtonSize(sf);
                           const TRect a = Area(c, r, size.cx, size.cy);
                           b.DrawScaledRadioButton(&c, a.Left, a.Top, static_cast<TcxButtonState>(s), on,
                                                   false, clDefault, sf);
                         }});
      }
  cells.push_back({"radio 3/2", [&b, standIn](TcxCanvas& c, const TRect& r) {
                     TdxScaleFactor big;
                     big.Assign(3, 2, false);
                     if (standIn) standIn->style = lfsStandard;
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

// The elements a registered painter draws its own way.
std::vector<Cell> PainterCells(TcxCustomLookAndFeelPainter& p, TdxScaleFactor* sf) {
  std::vector<Cell> cells;
  const auto text = [sf](TcxCanvas& c) {
    c.Font()->SetName(u"DejaVu Sans");
    c.Font()->SetHeight(-sf->Apply(9));
  };
  cells.push_back({"border", [&p, sf](TcxCanvas& c, const TRect& r) {
                     const TRect a = Area(c, r, sf, 40, 24);
                     p.DrawBorder(&c, a);
                   }});
  for (int s = cxbsNormal; s <= cxbsDisabled; s += 3)
    cells.push_back({std::string("check border ") + kStates[s], [&p, sf, s](TcxCanvas& c, const TRect& r) {
                       p.DrawCheckBorder(&c, Area(c, r, sf, 13, 13), static_cast<TcxButtonState>(s));
                     }});
  for (int e = 0; e < 2; ++e)
    cells.push_back({e ? "expand minus" : "expand plus", [&p, e, sf](TcxCanvas& c, const TRect& r) {
                       const int32_t size = p.ScaledExpandButtonSize(sf);
                       p.DrawScaledExpandButton(&c, Area(c, r, size, size), e, sf);
                     }});
  for (int s = cxbsNormal; s <= cxbsPressed; ++s)
    for (int on = 0; on < 2; ++on)
      cells.push_back({std::string("filter ") + kStates[s] + (on ? " on" : ""),
                       [&p, s, on, sf](TcxCanvas& c, const TRect& r) {
                         p.DrawScaledFilterDropDownButton(&c, Area(c, r, sf, 14, 16),
                                                          static_cast<TcxButtonState>(s), on, sf);
                       }});
  const char* const parts[] = {"", "line up", "line down", "thumb", "page up", "page down"};
  for (int h = 0; h < 2; ++h)
    for (int part = sbpLineUp; part <= sbpPageUp; ++part)
      for (int s = cxbsNormal; s <= cxbsDisabled; ++s)
        cells.push_back({std::string(h ? "h " : "v ") + parts[part] + " " + kStates[s],
                         [&p, h, part, s, sf](TcxCanvas& c, const TRect& r) {
                           const TRect a = h ? Area(c, r, sf, 34, 17) : Area(c, r, sf, 17, 34);
                           c.FillRect(a, clFuchsia);  // shows what a part leaves undrawn
                           p.DrawScaledScrollBarPart(&c, h, a, static_cast<TcxScrollBarPart>(part),
                                                     static_cast<TcxButtonState>(s), sf);
                         }});
  const char* const neighbours[] = {"alone", "left", "right", "both"};
  for (int n = 0; n < 4; ++n)
    cells.push_back({std::string("header ") + neighbours[n], [&p, n, text, sf](TcxCanvas& c, const TRect& r) {
                       text(c);
                       TcxNeighbors nb;
                       if (n & 1) nb.Include(nLeft);
                       if (n & 2) nb.Include(nRight);
                       const TRect a = Area(c, r, sf, 56, 20);
                       const TcxBorders borders = p.HeaderBorders(nb);
                       p.DrawScaledHeader(&c, a, p.ScaledHeaderContentBounds(a, borders, sf), nb, borders,
                                          cxbsNormal, taCenter, vaCenter, false, false, u"Name", c.Font(),
                                          clBtnText, clBtnFace, sf);
                     }});
  for (int s = cxbsNormal; s <= cxbsDisabled; ++s)
    cells.push_back({std::string("section ") + kStates[s], [&p, s, text, sf](TcxCanvas& c, const TRect& r) {
                       text(c);
                       const TRect a = Area(c, r, sf, 56, 20);
                       p.DrawScaledHeaderControlSection(
                           &c, a, a, TcxNeighbors{}, cxBordersAll, static_cast<TcxButtonState>(s), taCenter,
                           vaCenter, false, false, u"Col", c.Font(), clBtnText, clBtnFace, sf);
                     }});
  for (int asc = 0; asc < 2; ++asc)
    cells.push_back({asc ? "sort up" : "sort down", [&p, asc, sf](TcxCanvas& c, const TRect& r) {
                       const TRect a = Area(c, r, sf, 20, 16);
                       c.FillRect(a, clBtnFace);
                       p.DrawScaledSortingMark(&c, a, asc, sf);
                     }});
  cells.push_back({"footer", [&p, sf](TcxCanvas& c, const TRect& r) {
                     const TRect a = Area(c, r, sf, 56, 24);
                     c.FillRect(a, clBtnFace);
                     p.DrawFooterBorder(&c, a);
                     p.DrawFooterCellBorder(&c, cxRectInflate(a, -6, -5));
                   }});
  for (int v = 0; v < 2; ++v)
    cells.push_back(
        {v ? "tab vertical" : "tab", [&p, sf, v](TcxCanvas& c, const TRect& r) {
           const TRect a = v ? Area(c, r, sf, 20, 36) : Area(c, r, sf, 48, 20);
           const TcxBorders borders = v ? TcxBorders{bLeft, bTop, bBottom} : TcxBorders{bLeft, bTop, bRight};
           c.FillRect(a, clBtnFace);
           const int32_t w = p.TabBorderSize(v);
           const TRect strips[] = {
               TRect{a.Left, a.Top, a.Left + w, a.Bottom}, TRect{a.Left, a.Top, a.Right, a.Top + w},
               TRect{a.Right - w, a.Top, a.Right, a.Bottom}, TRect{a.Left, a.Bottom - w, a.Right, a.Bottom}};
           for (int side = 0; side < 4; ++side)
             if (borders.Contains(static_cast<TcxBorder>(side)))
               p.DrawTabBorder(&c, strips[side], static_cast<TcxBorder>(side), borders, v);
         }});
  cells.push_back({"tabs root", [&p, sf](TcxCanvas& c, const TRect& r) {
                     const TRect a = Area(c, r, sf, 48, 20);
                     c.FillRect(a, clBtnFace);
                     p.DrawTabsRoot(&c, a, cxBordersAll, false);
                   }});
  for (int e = 0; e < 2; ++e)
    cells.push_back({e ? "group box" : "group box off", [&p, sf, e](TcxCanvas& c, const TRect& r) {
                       const TRect a = Area(c, r, sf, 48, 30);
                       c.FillRect(a, clBtnFace);
                       c.SaveClipRegion();
                       p.DrawGroupBoxFrame(&c, a, e, cxgpTop);
                       c.RestoreClipRegion();
                     }});
  cells.push_back({"progress", [&p, sf](TcxCanvas& c, const TRect& r) {
                     const TRect a = Area(c, r, sf, 56, 16);
                     c.FillRect(a, clBtnFace);
                     p.DrawProgressBarBorder(&c, a, false);
                     const TRect inner = cxRectContent(a, p.ProgressBarBorderSize(false));
                     p.DrawProgressBarChunk(
                         &c, TRect{inner.Left, inner.Top, inner.Left + inner.Width() / 2, inner.Bottom},
                         false);
                   }});
  cells.push_back({"track", [&p, sf](TcxCanvas& c, const TRect& r) {
                     const TRect a = Area(c, r, sf, 56, 30);
                     c.FillRect(a, clBtnFace);
                     p.DrawTrackBarScaledTrack(
                         &c, TRect{a.Left + 2, a.Top + sf->Apply(12), a.Right - 2, a.Top + sf->Apply(16)},
                         TRect{}, false, true, true, clWindow, sf);
                   }});
  const char* const ticks[] = {"up", "down", "both"};
  for (int t = 0; t < 3; ++t)
    for (int s = cxbsNormal; s <= cxbsPressed; s += 2)
      cells.push_back(
          {std::string("thumb ") + ticks[t] + " " + kStates[s], [&p, t, s, sf](TcxCanvas& c, const TRect& r) {
             const TRect a = Area(c, r, sf, 11, 21);
             c.FillRect(cxRectInflate(a, 3), clBtnFace);
             p.DrawTrackBarScaledThumb(&c, a, static_cast<TcxButtonState>(s), true,
                                       static_cast<TcxTrackBarTicksAlign>(t), clBtnFace, sf);
           }});
  for (int on = 0; on < 2; ++on)
    cells.push_back({on ? "toggle on" : "toggle off", [&p, on, sf](TcxCanvas& c, const TRect& r) {
                       const TRect a = Area(c, r, sf, 44, 20);
                       p.DrawScaledToggleSwitchState(&c, a, cxbsNormal, on, sf);
                       const TRect thumb = on ? TRect{a.Right - sf->Apply(18), a.Top, a.Right, a.Bottom}
                                              : TRect{a.Left, a.Top, a.Left + sf->Apply(18), a.Bottom};
                       p.DrawScaledToggleSwitchThumb(&c, thumb, cxbsNormal, sf);
                     }});
  // Header bands in their states, separators, tokens and drop-down list boxes: where the
  // Office11 painter's gradients show.
  for (int s = cxbsNormal; s <= cxbsPressed; ++s)
    cells.push_back({std::string("header ") + kStates[s], [&p, s, text, sf](TcxCanvas& c, const TRect& r) {
                       text(c);
                       const TRect a = Area(c, r, sf, 56, 20);
                       const TcxBorders borders = p.HeaderBorders(TcxNeighbors{});
                       p.DrawScaledHeader(&c, a, p.ScaledHeaderContentBounds(a, borders, sf), TcxNeighbors{},
                                          borders, static_cast<TcxButtonState>(s), taCenter, vaCenter, false,
                                          false, u"Name", c.Font(), clBtnText, clBtnFace, sf);
                     }});
  cells.push_back({"separator", [&p, sf](TcxCanvas& c, const TRect& r) {
                     const TRect a = Area(c, r, sf, 40, 24);
                     p.DrawSeparator(
                         &c, TRect{a.Left, a.Top + a.Height() / 2 - 1, a.Right, a.Top + a.Height() / 2 + 1},
                         false);
                   }});
  for (int s = cxbsNormal; s <= cxbsPressed; ++s)
    cells.push_back({std::string("token ") + kStates[s], [&p, s, sf](TcxCanvas& c, const TRect& r) {
                       p.DrawScaledTokenBackground(&c, Area(c, r, sf, 48, 20), static_cast<TcxButtonState>(s),
                                                   sf);
                     }});
  cells.push_back(
      {"list box", [&p, sf](TcxCanvas& c, const TRect& r) {
         const TRect a = Area(c, r, sf, 64, 40);
         p.DrawDropDownListBoxBackground(&c, a, true);
         const TRect inner = cxRectInflate(a, -2);
         const TRect gutter{inner.Left, inner.Top, inner.Left + sf->Apply(14), inner.Bottom};
         p.DrawDropDownListBoxScaledGutterBackground(&c, gutter, sf);
         p.DrawDropDownListBoxScaledSelection(
             &c, TRect{inner.Left, inner.Top + sf->Apply(2), inner.Right, inner.Top + sf->Apply(14)}, gutter,
             sf);
         p.DrawDropDownListBoxScaledSeparator(
             &c, TRect{inner.Left, inner.Top + sf->Apply(16), inner.Right, inner.Top + sf->Apply(22)}, gutter,
             sf);
       }});
  // Editor buttons with their glyphs, splitters and the size grip: what a skin draws from its
  // elements.
  const struct {
    TcxEditBtnKind kind;
    const char* name;
  } editButtons[] = {{cxbkComboBtn, "combo"},
                     {cxbkEllipsisBtn, "ellipsis"},
                     {cxbkSpinUpBtn, "spin up"},
                     {cxbkCloseBtn, "close"}};
  for (const auto& b : editButtons)
    for (int s = cxbsNormal; s <= cxbsDisabled; ++s)
      cells.push_back(
          {std::string("edit ") + b.name + " " + kStates[s], [&p, b, s, sf](TcxCanvas& c, const TRect& r) {
             const TRect a = Area(c, r, sf, 17, 20);
             const auto state = static_cast<TcxButtonState>(s);
             p.DrawScaledEditorButton(&c, a, b.kind, state, sf);
             p.DrawScaledEditorButtonGlyph(&c, a, b.kind, state, sf);
           }});
  for (int h = 0; h < 2; ++h)
    for (int hot = 0; hot < 2; ++hot)
      cells.push_back({std::string(h ? "splitter h" : "splitter v") + (hot ? " hot" : ""),
                       [&p, h, hot, sf](TcxCanvas& c, const TRect& r) {
                         const TRect a = h ? Area(c, r, sf, 48, 8) : Area(c, r, sf, 8, 32);
                         p.DrawScaledSplitter(&c, a, hot, false, h, sf, true, h ? adUp : adLeft);
                       }});
  cells.push_back({"size grip", [&p, sf](TcxCanvas& c, const TRect& r) {
                     const TSize size = p.ScaledSizeGripSize(sf);
                     p.DrawSizeGrip(&c, Area(c, r, size.cx, size.cy));
                   }});
  cells.push_back({"group caption", [&p, sf, text](TcxCanvas& c, const TRect& r) {
                     text(c);
                     const TRect a = Area(c, r, sf, 56, 34);
                     const TRect caption{a.Left, a.Top, a.Right, a.Top + sf->Apply(14)};
                     p.DrawGroupBoxFrame(&c, TRect{a.Left, caption.Bottom, a.Right, a.Bottom}, true, cxgpTop);
                     p.DrawGroupBoxCaption(&c, caption, cxRectInflate(caption, -4, 0), cxgpTop);
                   }});
  cells.push_back({"alert window", [&p, sf](TcxCanvas& c, const TRect& r) {
                     p.DrawAlertWindowBackground(&c, Area(c, r, sf, 64, 40), sf);
                   }});
  for (int next = 0; next < 2; ++next)
    for (int v = 0; v < 2; ++v)
      cells.push_back({std::string(next ? "next" : "prev") + (v ? " vertical" : ""),
                       [&p, sf, next, v](TcxCanvas& c, const TRect& r) {
                         TRect a = v ? Area(c, r, sf, 18, 36) : Area(c, r, sf, 36, 18);
                         c.FillRect(a, clWindow);
                         TRect text, arrow;
                         p.CalculateSchedulerNavigationButtonRects(next, true, 0, 0, a, text, arrow, sf, v);
                         p.DrawSchedulerNavigationButtonContent(&c, a, arrow, next, cxbsNormal, v);
                       }});
  cells.push_back({"milestone", [&p, sf](TcxCanvas& c, const TRect& r) {
                     const TRect a = Area(c, r, sf, 20, 20);
                     c.FillRect(a, clWindow);
                     p.DrawSchedulerMilestone(&c, a);
                   }});
  cells.push_back({"scheduler group", [&p, sf](TcxCanvas& c, const TRect& r) {
                     const TRect a = Area(c, r, sf, 40, 30);
                     c.FillRect(a, clWindow);
                     p.DrawSchedulerGroup(&c, a, RGB(40, 160, 60));
                   }});
  cells.push_back({"event progress", [&p, sf](TcxCanvas& c, const TRect& r) {
                     const TRect a = Area(c, r, sf, 48, 10);
                     c.FillRect(a, clWindow);
                     const TRect offsets = p.SchedulerEventProgressOffsets();
                     TRect chunk = cxRectContent(a, offsets);
                     chunk.Right = chunk.Left + chunk.Width() * 2 / 3;
                     p.DrawSchedulerEventProgress(&c, a, chunk, TcxViewParams{}, false);
                   }});
  for (int selected = 0; selected < 2; ++selected)
    cells.push_back({selected ? "pdf pane selected" : "pdf pane button",
                     [&p, sf, selected](TcxCanvas& c, const TRect& r) {
                       const TRect a = Area(c, r, sf, 24, 40);
                       p.PDFViewerDrawNavigationPaneBackground(&c, a, sf);
                       p.PDFViewerDrawNavigationPaneButton(&c, cxRectInflate(a, -2, -8), cxbsNormal, sf,
                                                           false, selected, false);
                     }});
  cells.push_back({"preview page", [&p, sf](TcxCanvas& c, const TRect& r) {
                     const TRect a = Area(c, r, sf, 44, 34);
                     p.DrawPrintPreviewScaledBackground(&c, a, sf);
                     const TRect page = cxRectInflate(a, -8, -4);
                     p.DrawPrintPreviewPageScaledBackground(
                         &c, page, cxRectContent(page, p.PrintPreviewPageBordersScaledWidth(sf)), true, true,
                         sf);
                   }});
  cells.push_back({"footer panel", [&p, sf](TcxCanvas& c, const TRect& r) {
                     const TRect a = Area(c, r, sf, 56, 24);
                     p.DrawFooterContent(&c, a, TcxViewParams{});
                     p.DrawFooterCellContent(&c, cxRectInflate(a, -6, -5), taRightJustify, vaCenter, false,
                                             u"42", c.Font(), clBtnText, clBtnFace);
                   }});
  cells.push_back({"range control", [&p, sf](TcxCanvas& c, const TRect& r) {
                     const TRect a = Area(c, r, sf, 56, 30);
                     c.FillRect(a, p.GetRangeControlBackColor());
                     const TSize thumb = p.GetRangeControlScaledThumbSize(sf);
                     const TRect ruler{a.Left, a.Top, a.Right, a.Top + sf->Apply(10)};
                     p.DrawRangeControlScaledRulerHeader(&c, ruler, false, 0, 0, sf);
                     p.DrawRangeControlScaledLeftThumb(
                         &c, cxRectBounds(a.Left + 8, ruler.Bottom, thumb.cx, thumb.cy), clNone, clNone, sf);
                     p.DrawRangeControlScaledRightThumb(
                         &c, cxRectBounds(a.Right - 8 - thumb.cx, ruler.Bottom, thumb.cx, thumb.cy), clNone,
                         clNone, sf);
                   }});
  cells.push_back({"month header", [&p, text, sf](TcxCanvas& c, const TRect& r) {
                     text(c);
                     const TRect a = Area(c, r, sf, 56, 18);
                     TcxViewParams params;
                     params.Font = c.Font();
                     params.TextColor = clBtnText;
                     params.Color = clBtnFace;
                     p.DrawScaledMonthHeader(&c, a, u"May", TcxNeighbors{}, params,
                                             TcxArrowDirections{adLeft, adRight}, sf->Apply(12), sf);
                   }});
  cells.push_back({"clock", [&p, sf](TcxCanvas& c, const TRect& r) {
                     const TSize size = p.ScaledClockSize(sf);
                     const TRect a =
                         Area(c, r, std::min<int32_t>(size.cx, 40), std::min<int32_t>(size.cy, 40));
                     p.DrawScaledClock(&c, a, 10.0 / 24 + 10.0 / 1440, clWindow, sf);
                   }});
  cells.push_back({"navigator border", [&p, sf](TcxCanvas& c, const TRect& r) {
                     const TRect a = Area(c, r, sf, 48, 20);
                     c.FillRect(a, clWindow);
                     p.DrawNavigatorBorder(&c, a, false);
                   }});
  return cells;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: painter_draw_gallery OUT.png [--zoom N] [--painter NAME [--own] [--dpi D]]\n");
    return 2;
  }
  int zoom = 3;
  const char* painterName = nullptr;
  bool ownOnly = false;
  for (int i = 2; i < argc; ++i)
    if (std::strcmp(argv[i], "--own") == 0) ownOnly = true;
  int dpi = 96;
  for (int i = 2; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--zoom") == 0) zoom = std::max(1, std::atoi(argv[i + 1]));
    if (std::strcmp(argv[i], "--dpi") == 0) dpi = std::max(96, std::atoi(argv[i + 1]));
    if (std::strcmp(argv[i], "--painter") == 0) painterName = argv[i + 1];
  }
  InitializeUnits();
  bool ok = false;
  {
    TcxCustomLookAndFeelPainter plain;
    BorderedPainter bordered;
    TcxCustomLookAndFeelPainter* registered = nullptr;
    if (painterName) {
      registered = cxLookAndFeelPaintersManager()->GetPainter(
          String(painterName, painterName + std::strlen(painterName)));
      if (!registered) {
        std::fprintf(stderr, "painter_draw_gallery: no painter named %s\n", painterName);
        FinalizeUnits();
        return 2;
      }
    }
    std::vector<Cell> cells;
    if (!registered || !ownOnly)
      cells = registered ? Cells(*registered, *registered) : Cells(plain, bordered);
    TdxScaleFactor scale;
    scale.Assign(dpi, 96, false);
    gCellW = scale.Apply(gCellW);
    gCellH = scale.Apply(gCellH);
    gArea = scale.Apply(gArea);
    if (registered)
      for (Cell& cell : PainterCells(*registered, &scale)) cells.push_back(std::move(cell));
    TBitmap picture;
    tools::DrawGalleryGrid(picture, cells, kColumns, gCellW, gCellH,
                           [&cells](TcxCanvas& c, size_t i, const TRect& r) {
                             c.Font()->SetName(u"DejaVu Sans");
                             c.Font()->SetHeight(-8);
                             c.Font()->SetColor(clBlack);
                             c.Brush()->SetStyle(bsClear);
                             c.DrawTexT(String(cells[i].name.begin(), cells[i].name.end()),
                                        TRect{r.Left, r.Top + gArea, r.Right, r.Bottom},
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
