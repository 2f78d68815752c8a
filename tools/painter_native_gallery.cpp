// Draws the Native painter's elements (buttons, check boxes, radio buttons, expand buttons,
// arrows, scroll bars, size grips, headers, footers, tabs, group boxes, track bars, progress,
// hints, zoom, back and filter buttons) through the visual-styles engine into a PNG, for
// looking at them by eye; --dpi 144 draws them at 3/2. --classic draws with visual styles off,
// which must look like the Standard painter.
//
//   painter_native_gallery OUT.png [--dpi N] [--zoom N] [--classic]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "gallery_png.h"
#include "platform/os/uxtheme_testing.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/core/dxThemeManager.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

using namespace qd;

namespace {

constexpr int kNativeColumns = 10;

struct NativeCell {
  std::string name;
  std::function<void(TcxCanvas& c, const TRect& r)> draw;
};

const char* const kNativeStates[] = {"default", "normal", "hot", "pressed", "disabled"};

// The element's rectangle of the size (given at 96 DPI) centred in the cell's white area.
TRect NativeArea(TcxCanvas& c, const TRect& r, int w, int h, int area, TdxScaleFactor* sf) {
  const TRect a{r.Left + 1, r.Top + 1, r.Right - 1, r.Top + area};
  c.FillRect(a, clWhite);
  c.Font()->SetName(u"DejaVu Sans");
  c.Font()->SetHeight(sf->Apply(-11));
  c.Font()->SetColor(clBlack);
  w = sf->Apply(w);
  h = sf->Apply(h);
  const int l = a.Left + (a.Width() - w) / 2, t = a.Top + (a.Height() - h) / 2;
  return TRect{l, t, l + w, t + h};
}

std::vector<NativeCell> NativeCells(TcxCustomLookAndFeelPainter& p, TdxScaleFactor* sf, int area) {
  std::vector<NativeCell> cells;
  auto add = [&cells](std::string name, std::function<void(TcxCanvas&, const TRect&)> draw) {
    cells.push_back({std::move(name), std::move(draw)});
  };
  auto at = [sf, area](TcxCanvas& c, const TRect& r, int w, int h) {
    return NativeArea(c, r, w, h, area, sf);
  };
  for (int s = 0; s < 5; ++s) {
    const auto st = static_cast<TcxButtonState>(s);
    add(std::string("button ") + kNativeStates[s], [&p, sf, st, at](TcxCanvas& c, const TRect& r) {
      p.DrawScaledButton(&c, at(c, r, 48, 22), u"Ok", st, sf);
    });
  }
  for (int s = 1; s < 5; ++s) {
    const auto st = static_cast<TcxButtonState>(s);
    add(std::string("tool ") + kNativeStates[s], [&p, sf, st, at](TcxCanvas& c, const TRect& r) {
      p.DrawScaledButton(&c, at(c, r, 24, 22), String(), st, sf, true, clDefault, clDefault, false, true);
    });
  }
  const char* const checks[] = {"off", "on", "grayed"};
  for (int k = 0; k < 3; ++k)
    for (int s = 1; s < 5; ++s) {
      const auto st = static_cast<TcxButtonState>(s);
      const auto cs = static_cast<TcxCheckBoxState>(k);
      add(std::string("check ") + checks[k] + " " + kNativeStates[s],
          [&p, sf, st, cs, at](TcxCanvas& c, const TRect& r) {
            const TSize size = p.ScaledCheckButtonSize(sf);
            const TRect a = at(c, r, 0, 0);
            p.DrawScaledCheckButton(&c, Bounds(a.Left - size.cx / 2, a.Top - size.cy / 2, size.cx, size.cy),
                                    st, cs, sf);
          });
    }
  for (int k = 0; k < 2; ++k)
    for (int s = 1; s < 5; ++s) {
      const auto st = static_cast<TcxButtonState>(s);
      add(std::string("radio ") + (k ? "on " : "off ") + kNativeStates[s],
          [&p, sf, st, k, at](TcxCanvas& c, const TRect& r) {
            const TSize size = p.ScaledRadioButtonSize(sf);
            const TRect a = at(c, r, 0, 0);
            p.DrawScaledRadioButton(&c, a.Left - size.cx / 2, a.Top - size.cy / 2, st, k != 0, false,
                                    clDefault, sf);
          });
    }
  for (int e = 0; e < 2; ++e) {
    add(e ? "expanded" : "collapsed", [&p, sf, e, at](TcxCanvas& c, const TRect& r) {
      const int size = p.ScaledExpandButtonSize(sf);
      const TRect a = at(c, r, 0, 0);
      p.DrawScaledExpandButton(&c, Bounds(a.Left - size / 2, a.Top - size / 2, size, size), e != 0, sf);
    });
    add(e ? "group expanded" : "group collapsed", [&p, sf, e, at](TcxCanvas& c, const TRect& r) {
      const int size = sf->Revert(p.ScaledGroupExpandButtonSize(sf));
      p.DrawScaledGroupExpandButton(&c, at(c, r, size, size), e != 0, cxbsHot, sf);
    });
  }
  const char* const dirs[] = {"up", "down", "left", "right"};
  for (int d = 0; d < 4; ++d)
    add(std::string("arrow ") + dirs[d], [&p, sf, d, at](TcxCanvas& c, const TRect& r) {
      p.DrawScaledArrow(&c, at(c, r, 17, 17), cxbsNormal, static_cast<TcxArrowDirection>(d), sf);
    });
  for (int s = 1; s < 5; ++s) {
    const auto st = static_cast<TcxButtonState>(s);
    add(std::string("h scroll ") + kNativeStates[s], [&p, sf, st, at](TcxCanvas& c, const TRect& r) {
      const TRect a = at(c, r, 56, 17);
      const int b = sf->Apply(17);
      p.DrawScaledScrollBarPart(&c, true, TRect{a.Left, a.Top, a.Left + b, a.Bottom}, sbpLineUp, st, sf);
      p.DrawScaledScrollBarPart(&c, true, TRect{a.Left + b, a.Top, a.Left + 2 * b, a.Bottom}, sbpPageUp, st,
                                sf);
      p.DrawScaledScrollBarPart(&c, true, TRect{a.Left + 2 * b, a.Top, a.Right - b, a.Bottom}, sbpThumbnail,
                                st, sf);
      p.DrawScaledScrollBarPart(&c, true, TRect{a.Right - b, a.Top, a.Right, a.Bottom}, sbpLineDown, st, sf);
    });
  }
  add("v scroll", [&p, sf, at](TcxCanvas& c, const TRect& r) {
    const TRect a = at(c, r, 17, 36);
    const int b = sf->Apply(12);
    p.DrawScaledScrollBarPart(&c, false, TRect{a.Left, a.Top, a.Right, a.Top + b}, sbpLineUp, cxbsNormal, sf);
    p.DrawScaledScrollBarPart(&c, false, TRect{a.Left, a.Top + b, a.Right, a.Bottom - b}, sbpThumbnail,
                              cxbsHot, sf);
    p.DrawScaledScrollBarPart(&c, false, TRect{a.Left, a.Bottom - b, a.Right, a.Bottom}, sbpLineDown,
                              cxbsNormal, sf);
  });
  add("size grip", [&p, sf, at](TcxCanvas& c, const TRect& r) {
    const TSize size = p.ScaledSizeGripSize(sf);
    const TRect a = at(c, r, 0, 0);
    p.DrawScaledSizeGrip(&c, Bounds(a.Left - size.cx / 2, a.Top - size.cy / 2, size.cx, size.cy), sf);
  });
  for (int s = 1; s < 4; ++s) {
    const auto st = static_cast<TcxButtonState>(s);
    add(std::string("header ") + kNativeStates[s], [&p, sf, st, at](TcxCanvas& c, const TRect& r) {
      const TRect a = at(c, r, 56, 20);
      p.DrawScaledHeader(&c, a, cxRectInflate(a, -sf->Apply(4), 0), TcxNeighbors{}, cxBordersAll, st,
                         taLeftJustify, vaCenter, false, true, u"Name", c.Font(), clBlack, clBtnFace, sf);
    });
  }
  add("footer cell", [&p, at](TcxCanvas& c, const TRect& r) {
    const TRect a = at(c, r, 56, 20);
    p.DrawFooterBorder(&c, a);
    p.DrawFooterCell(&c, cxRectInflate(a, -2), taRightJustify, vaCenter, false, u"42", c.Font(), clBlack,
                     clBtnFace);
  });
  for (int s = 1; s < 5; ++s) {
    const auto st = static_cast<TcxButtonState>(s);
    add(std::string("tab ") + kNativeStates[s], [&p, st, at](TcxCanvas& c, const TRect& r) {
      const TRect a = at(c, r, 48, 22);
      p.DrawTabsRoot(&c, TRect{a.Left - 4, a.Bottom - 1, a.Right + 4, a.Bottom + 2}, cxBordersAll, false);
      p.DrawTab(&c, a, cxBordersAll, u"Tab", st, false, c.Font(), clBlack, clBtnFace);
    });
  }
  add("tab vertical", [&p, at](TcxCanvas& c, const TRect& r) {
    p.DrawTab(&c, at(c, r, 22, 34), cxBordersAll, String(), cxbsPressed, true, c.Font(), clBlack, clBtnFace);
  });
  for (int e = 0; e < 2; ++e)
    add(e ? "group box" : "group box off", [&p, e, at](TcxCanvas& c, const TRect& r) {
      p.DrawGroupBoxFrame(&c, at(c, r, 52, 30), e != 0, cxgpTop);
    });
  for (int s = 1; s < 5; ++s) {
    const auto st = static_cast<TcxButtonState>(s);
    add(std::string("track ") + kNativeStates[s], [&p, sf, st, at](TcxCanvas& c, const TRect& r) {
      const TRect a = at(c, r, 56, 24);
      const int mid = (a.Top + a.Bottom) / 2;
      p.DrawTrackBarScaledTrack(&c, TRect{a.Left, mid - 2, a.Right, mid + 2}, TRect{}, false, true, true,
                                clDefault, sf);
      TRect thumb = TRect{a.Left + a.Width() / 2 - sf->Apply(6), a.Top, a.Left + a.Width() / 2 + sf->Apply(6),
                          a.Bottom};
      p.CorrectThumbRect(&c, thumb, true, tbtaBoth);
      p.DrawTrackBarScaledThumb(&c, thumb, st, true, tbtaBoth, clDefault, sf);
    });
  }
  add("progress", [&p, at](TcxCanvas& c, const TRect& r) {
    const TRect a = at(c, r, 56, 14);
    p.DrawSchedulerEventProgress(&c, a, TRect{a.Left, a.Top, a.Left + a.Width() * 3 / 5, a.Bottom},
                                 TcxViewParams{nullptr, clWindow}, false);
  });
  add("hint", [&p, at](TcxCanvas& c, const TRect& r) { p.DrawHintBackground(&c, at(c, r, 44, 18)); });
  add("border", [&p, at](TcxCanvas& c, const TRect& r) { p.DrawBorder(&c, at(c, r, 44, 24)); });
  for (int s = 1; s < 5; ++s) {
    const auto st = static_cast<TcxButtonState>(s);
    add(std::string("zoom in ") + kNativeStates[s], [&p, sf, st, at](TcxCanvas& c, const TRect& r) {
      const TSize size = sf->Revert(p.GetScaledZoomInButtonSize(sf));
      p.DrawScaledZoomInButton(&c, at(c, r, size.cx, size.cy), st, sf);
    });
  }
  add("zoom out", [&p, sf, at](TcxCanvas& c, const TRect& r) {
    const TSize size = sf->Revert(p.GetScaledZoomOutButtonSize(sf));
    p.DrawScaledZoomOutButton(&c, at(c, r, size.cx, size.cy), cxbsNormal, sf);
  });
  for (int s = 1; s < 5; ++s) {
    const auto st = static_cast<TcxButtonState>(s);
    add(std::string("back ") + kNativeStates[s], [&p, sf, st, at](TcxCanvas& c, const TRect& r) {
      const TSize size = sf->Revert(p.GetScaledBackButtonSize(sf));
      p.DrawScaledBackButton(&c, at(c, r, size.cx, size.cy), st, sf);
    });
  }
  add("filter close", [&p, sf, at](TcxCanvas& c, const TRect& r) {
    const TPoint size = p.ScaledFilterCloseButtonSize(sf);
    const TRect a = at(c, r, 0, 0);
    p.DrawScaledFilterCloseButton(&c, Bounds(a.Left - size.X / 2, a.Top - size.Y / 2, size.X, size.Y),
                                  cxbsHot, sf);
  });
  add("filter drop-down", [&p, sf, at](TcxCanvas& c, const TRect& r) {
    p.DrawScaledFilterDropDownButton(&c, at(c, r, 17, 20), cxbsNormal, false, sf);
  });
  add("separators", [&p, at](TcxCanvas& c, const TRect& r) {
    const TRect a = at(c, r, 40, 24);
    p.DrawSeparator(&c, TRect{a.Left, a.Top, a.Left + 20, a.Bottom}, true);
    p.DrawSeparator(&c, TRect{a.Left + 20, a.Top, a.Right, a.Bottom}, false);
  });
  add("bevels", [&p, at](TcxCanvas& c, const TRect& r) {
    const TRect a = at(c, r, 40, 24);
    p.DrawBevelFrame(&c, TRect{a.Left, a.Top, a.Left + 24, a.Bottom}, clBtnShadow, clBtnHighlight, true);
    p.DrawBevelLine(&c, TRect{a.Left + 30, a.Top, a.Left + 32, a.Bottom}, clBtnShadow, clBtnHighlight, true);
  });
  for (int k = 0; k < 4; ++k)
    add(std::string("sched nav ") + (k % 2 ? "next" : "prev") + (k / 2 ? " vert" : ""),
        [&p, at, k](TcxCanvas& c, const TRect& r) {
          const bool vertical = k / 2 != 0;
          const TRect a = vertical ? at(c, r, 22, 40) : at(c, r, 40, 22);
          const int cx = (a.Left + a.Right) / 2, cy = (a.Top + a.Bottom) / 2;
          p.DrawSchedulerNavigationButtonContent(&c, a, TRect{cx - 4, cy - 4, cx + 4, cy + 4}, k % 2 != 0,
                                                 cxbsNormal, vertical);
        });
  add("command link hot", [&p, sf, at](TcxCanvas& c, const TRect& r) {
    const TRect a = at(c, r, 56, 28);
    p.DrawScaledCommandLinkBackground(&c, a, cxbsHot, sf);
    p.DrawScaledCommandLinkGlyph(&c, TPoint{a.Left + sf->Apply(4), a.Top + sf->Apply(4)}, cxbsHot, sf);
  });
  return cells;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: painter_native_gallery OUT.png [--dpi N] [--zoom N] [--classic]\n");
    return 2;
  }
  int zoom = 2, dpi = 96;
  bool classic = false;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--classic") == 0) classic = true;
    if (i + 1 < argc && std::strcmp(argv[i], "--zoom") == 0) zoom = std::max(1, std::atoi(argv[i + 1]));
    if (i + 1 < argc && std::strcmp(argv[i], "--dpi") == 0) dpi = std::max(96, std::atoi(argv[i + 1]));
  }
  InitializeUnits();
  if (classic) {
    os::SetVisualStylesEnabled(false);
    CloseAllThemes();
  }
  bool ok = false;
  {
    TcxCustomLookAndFeelPainter* painter = cxLookAndFeelPaintersManager()->GetPainter(lfsNative);
    if (painter) {
      TdxScaleFactor sf;
      sf.Assign(dpi, 96, false);
      const int area = sf.Apply(44), cellW = sf.Apply(72), cellH = area + 12;
      const std::vector<NativeCell> cells = NativeCells(*painter, &sf, area);
      TBitmap picture;
      tools::DrawGalleryGrid(picture, cells, kNativeColumns, cellW, cellH,
                             [&cells, area](TcxCanvas& c, size_t i, const TRect& r) {
                               c.Font()->SetName(u"DejaVu Sans");
                               c.Font()->SetHeight(-8);
                               c.Font()->SetColor(clBlack);
                               c.Brush()->SetStyle(bsClear);
                               c.DrawTexT(String(cells[i].name.begin(), cells[i].name.end()),
                                          TRect{r.Left, r.Top + area, r.Right, r.Bottom},
                                          cxAlignHCenter | cxAlignVCenter | cxSingleLine);
                               c.Brush()->SetStyle(bsSolid);
                             });
      ok = tools::SaveGalleryPng(picture, zoom, argv[1]);
    }
  }
  FinalizeUnits();
  if (!ok) {
    std::fprintf(stderr, "painter_native_gallery: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
