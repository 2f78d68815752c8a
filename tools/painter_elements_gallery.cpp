// Draws the base painter's scroll-bar splitters, size grips, drop-down window frames, popup
// bands, hints, progress captions, track-bar thumbs, splitters, headers, footers, sorting marks,
// filter smart tags and row indicators into a PNG, for looking at them by eye. Each cell holds
// one element over a white area with its name below.
//
//   painter_elements_gallery OUT.png [--zoom N]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "gallery_png.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

using namespace qd;

namespace {

constexpr int kCellW = 84, kCellH = 60, kColumns = 10, kArea = 48;

struct Cell {
  std::string name;
  std::function<void(TcxCanvas& c, const TRect& r)> draw;
};

// The element's area of a cell: white, with a rectangle of the size centred in it.
TRect ElementArea(TcxCanvas& c, const TRect& r, int w, int h) {
  const TRect area{r.Left + 1, r.Top + 1, r.Right - 1, r.Top + kArea};
  c.FillRect(area, clWhite);
  const int l = area.Left + (area.Width() - w) / 2, t = area.Top + (area.Height() - h) / 2;
  return TRect{l, t, l + w, t + h};
}

// The base drawing with the frames and sizes a concrete painter would give: one-pixel header,
// footer and section borders, a white text colour over progress chunks, sorting-mark sizes and
// thumb edges.
class ElementsPainter : public TcxCustomLookAndFeelPainter {
 public:
  int32_t HeaderBorderSize() override { return 1; }
  void DrawHeaderBorder(TcxCanvas* ACanvas, const TRect& R, const TcxNeighbors&,
                        const TcxBorders& ABorders) override {
    ACanvas->FrameRect(R, clBtnShadow, 1, ABorders);
  }
  void DrawHeaderControlSectionBorder(TcxCanvas* ACanvas, const TRect& R, const TcxBorders&,
                                      TcxButtonState AState) override {
    ACanvas->DrawEdge(R, AState == cxbsPressed, true);
  }
  void DrawFooterBorder(TcxCanvas* ACanvas, const TRect& R) override { ACanvas->FrameRect(R, clBtnShadow); }
  TColor ProgressBarTextColorEx(bool AIsFilledArea) override {
    return AIsFilledArea ? clHighlightText : clWindowText;
  }
  TPoint ScaledSortingMarkSize(TdxScaleFactor* AScaleFactor) override {
    return TPoint{AScaleFactor->Apply(7), AScaleFactor->Apply(8)};
  }
  TPoint ScaledSummarySortingMarkSize(TdxScaleFactor* AScaleFactor) override {
    return TPoint{AScaleFactor->Apply(7), AScaleFactor->Apply(10)};
  }
  void DrawTrackBarThumbBorderUpDown(TcxCanvas* ACanvas, const std::vector<TPoint>& ALight,
                                     const std::vector<TPoint>& AShadow,
                                     const std::vector<TPoint>& ADark) override {
    ACanvas->Pen()->SetColor(clBtnHighlight);
    ACanvas->Polyline(ALight);
    ACanvas->Pen()->SetColor(clBtnShadow);
    ACanvas->Polyline(AShadow);
    ACanvas->Pen()->SetColor(cl3DDkShadow);
    ACanvas->Polyline(ADark);
  }
};

const char* const kStates[] = {"default", "normal", "hot", "pressed", "disabled"};

// A progress bar in ARect filled to APercent, with its caption in AMode (0 solid, 1 inverted,
// 2 two colours).
void DrawProgress(TcxCustomLookAndFeelPainter& APainter, TcxCanvas& c, const TRect& R, int APercent,
                  bool ASolid) {
  const TRect chunk{R.Left, R.Top, R.Left + R.Width() * APercent / 100, R.Bottom};
  c.FillRect(R, clWindow);
  c.FillRect(chunk, clHighlight);
  c.Font()->SetName(u"DejaVu Sans");
  c.Font()->SetHeight(-12);
  c.Font()->SetStyle(TFontStyles{fsBold});
  const String text = u"50%";
  const TSize size = c.TextExtent(text);
  const TRect textRect = cxRectCenter(R, size.cx, size.cy);
  APainter.DrawProgressBarText(&c, false, ASolid, text, textRect, R, chunk, ASolid ? clMaroon : clDefault);
}

std::vector<Cell> Cells(TcxCustomLookAndFeelPainter& p, ElementsPainter& e) {
  TdxScaleFactor* sf = dxDefaultScaleFactor();
  std::vector<Cell> cells;
  for (int s = cxbsNormal; s <= cxbsDisabled; ++s)
    cells.push_back({std::string("sb splitter ") + kStates[s], [&p, s, sf](TcxCanvas& c, const TRect& r) {
                       p.DrawScaledScrollBarSplitter(&c, ElementArea(c, r, 17, 40), TcxButtonState(s), sf);
                     }});
  const char* const corners[] = {"TL", "TR", "BL", "BR"};
  for (int k = 0; k < 4; ++k)
    cells.push_back({std::string("grip ") + corners[k], [&p, k, sf](TcxCanvas& c, const TRect& r) {
                       p.DrawScaledSizeGrip(&c, ElementArea(c, r, 17, 17), sf, clBtnFace, TdxCorner(k));
                     }});
  for (int k = 0; k < 4; ++k)
    cells.push_back({std::string("band ") + corners[k], [&p, k, sf](TcxCanvas& c, const TRect& r) {
                       TRect client = ElementArea(c, r, 70, 44), panel, grip, close;
                       c.FillRect(client, clGray);
                       const TRect all = client;
                       const bool top = k < 2;
                       p.CalculateScaledPopupPanelClientRect(client, panel, grip, close, TdxCorner(k),
                                                             TRect{1, 1, 1, 1},
                                                             top ? TRect{0, 0, 0, 1} : TRect{0, 1, 0, 0}, sf);
                       c.SaveClipRegion();
                       c.FrameRect(all, clGray);
                       p.DrawScaledPopupPanelBand(&c, panel, grip, close, TdxCorner(k), cxbsNormal,
                                                  top ? TRect{0, 0, 0, 1} : TRect{0, 1, 0, 0}, clGray, sf);
                       c.FillRect(client, clWindow);
                       c.RestoreClipRegion();
                     }});
  const char* const popups[] = {"default", "single", "frame3D", "flat"};
  for (int k = 0; k < 4; ++k)
    for (int edge = 0; edge < 2; ++edge)
      cells.push_back({std::string("popup ") + popups[k] + (edge ? " edge" : ""),
                       [&p, k, edge](TcxCanvas& c, const TRect& r) {
                         TRect frame = ElementArea(c, r, 30, 30);
                         p.DrawEditPopupWindowBorder(&c, frame, TcxEditPopupBorderStyle(k), edge != 0);
                         c.FillRect(frame, clWindow);
                       }});
  cells.push_back(
      {"hint", [&p](TcxCanvas& c, const TRect& r) { p.DrawHintBackground(&c, ElementArea(c, r, 40, 20)); }});
  cells.push_back(
      {"screen tip", [&p](TcxCanvas& c, const TRect& r) {
         const TRect tip = ElementArea(c, r, 50, 30);
         p.ScreenTipDrawBackground(&c, tip);
         p.ScreenTipDrawFooterLine(&c, TRect{tip.Left + 4, tip.Bottom - 10, tip.Right - 4, tip.Bottom});
       }});
  cells.push_back({"progress solid", [&e](TcxCanvas& c, const TRect& r) {
                     DrawProgress(e, c, ElementArea(c, r, 70, 18), 45, true);
                   }});
  cells.push_back({"progress xor", [&p](TcxCanvas& c, const TRect& r) {
                     DrawProgress(p, c, ElementArea(c, r, 70, 18), 45, false);
                   }});
  cells.push_back({"progress 2 col", [&e](TcxCanvas& c, const TRect& r) {
                     DrawProgress(e, c, ElementArea(c, r, 70, 18), 45, false);
                   }});
  struct Thumb {
    const char* name;
    bool horizontal;
    TcxTrackBarTicksAlign ticks;
  };
  for (const Thumb t : {Thumb{"thumb up", true, tbtaUp}, Thumb{"thumb down", true, tbtaDown},
                        Thumb{"thumb left", false, tbtaUp}, Thumb{"thumb right", false, tbtaDown},
                        Thumb{"thumb both", true, tbtaBoth}})
    cells.push_back({t.name, [&e, t, sf](TcxCanvas& c, const TRect& r) {
                       const TRect area =
                           t.horizontal ? ElementArea(c, r, 11, 21) : ElementArea(c, r, 21, 11);
                       e.DrawTrackBarScaledThumb(&c, area, cxbsNormal, t.horizontal, t.ticks, clBtnFace, sf);
                     }});
  cells.push_back({"splitter horz", [&p, sf](TcxCanvas& c, const TRect& r) {
                     p.DrawScaledSplitter(&c, ElementArea(c, r, 40, 2), false, false, true, sf);
                   }});
  cells.push_back({"splitter vert", [&p, sf](TcxCanvas& c, const TRect& r) {
                     p.DrawScaledSplitter(&c, ElementArea(c, r, 2, 40), false, false, false, sf);
                   }});
  const char* const dirs[] = {"up", "down", "left", "right"};
  for (int d = 0; d < 4; ++d)
    cells.push_back({std::string("split mark ") + dirs[d], [&p, d, sf](TcxCanvas& c, const TRect& r) {
                       const bool horizontal = d < 2;
                       const TRect area = horizontal ? ElementArea(c, r, 40, 2) : ElementArea(c, r, 2, 40);
                       p.DrawScaledSplitter(&c, area, false, false, horizontal, sf, true,
                                            TcxArrowDirection(d));
                     }});
  for (int s = cxbsNormal; s <= cxbsPressed; ++s)
    cells.push_back({std::string("header ") + kStates[s], [&e, s, sf](TcxCanvas& c, const TRect& r) {
                       const TRect area = ElementArea(c, r, 70, 20);
                       e.DrawScaledHeader(&c, area, cxRectInflate(area, -3), TcxNeighbors{}, cxBordersAll,
                                          TcxButtonState(s), taLeftJustify, vaCenter, false, true, u"Column",
                                          nullptr, clBtnText, clBtnFace, sf);
                       if (s == cxbsPressed) e.DrawHeaderPressed(&c, area);
                     }});
  for (int s = cxbsNormal; s <= cxbsDisabled; s += (s == cxbsNormal ? 2 : 1))
    cells.push_back({std::string("section ") + kStates[s], [&e, s, sf](TcxCanvas& c, const TRect& r) {
                       const TRect area = ElementArea(c, r, 70, 20);
                       e.DrawScaledHeaderControlSection(
                           &c, area, cxRectInflate(area, -3), TcxNeighbors{}, cxBordersAll, TcxButtonState(s),
                           taCenter, vaCenter, false, true, u"Section", nullptr, clBtnText, clBtnFace, sf);
                     }});
  cells.push_back({"footer cell", [&e](TcxCanvas& c, const TRect& r) {
                     const TRect area = ElementArea(c, r, 70, 20);
                     e.DrawFooterCell(&c, area, taRightJustify, vaCenter, false, u"1.234", nullptr, clBtnText,
                                      clBtnFace);
                   }});
  cells.push_back({"footer panel", [&e](TcxCanvas& c, const TRect& r) {
                     TcxViewParams params;
                     params.Color = clBtnFace;
                     e.DrawFooterPanel(&c, ElementArea(c, r, 70, 20), params, cxBordersAll);
                   }});
  for (int a = 0; a < 2; ++a)
    cells.push_back({a ? "sort ascending" : "sort descending", [&e, a, sf](TcxCanvas& c, const TRect& r) {
                       const TRect area = ElementArea(c, r, 16, 16);
                       c.FillRect(area, clBtnFace);
                       e.DrawSortingArrow(&c, area, clBtnShadow, clBtnHighlight, a != 0, sf);
                     }});
  for (int a = 0; a < 2; ++a)
    cells.push_back({a ? "summary asc" : "summary desc", [&e, a, sf](TcxCanvas& c, const TRect& r) {
                       const TRect area = ElementArea(c, r, 16, 16);
                       c.FillRect(area, clBtnFace);
                       e.DrawSummarySortingArrow(&c, area, clBtnShadow, clBtnHighlight, a != 0, sf);
                     }});
  cells.push_back({"summary value", [&p, sf](TcxCanvas& c, const TRect& r) {
                     p.DrawScaledSummaryValueSortingMark(&c, ElementArea(c, r, 11, 11), true, sf);
                   }});
  const char* const tags[] = {"normal", "hot", "pressed", "parent hot"};
  for (int k = 0; k < 4; ++k)
    for (int active = 0; active < 2; ++active)
      cells.push_back({std::string("tag ") + tags[k] + (active ? " on" : ""),
                       [&p, k, active, sf](TcxCanvas& c, const TRect& r) {
                         p.DrawScaledFilterSmartTag(&c, ElementArea(c, r, 20, 20), TcxFilterSmartTagState(k),
                                                    active != 0, sf);
                       }});
  const char* const kinds[] = {"none",     "arrow",      "edit",   "insert",
                               "multidot", "multiarrow", "filter", "inplace"};
  for (int k = 1; k < 8; ++k)
    cells.push_back({std::string("ind ") + kinds[k], [&e, k, sf](TcxCanvas& c, const TRect& r) {
                       e.DrawScaledIndicatorItem(&c, ElementArea(c, r, 13, 18), TcxIndicatorKind(k),
                                                 clBtnFace, sf);
                     }});
  for (int k : {1, 5})
    cells.push_back({std::string("ind rtl ") + kinds[k], [&e, k, sf](TcxCanvas& c, const TRect& r) {
                       const TRect area = ElementArea(c, r, 13, 18);
                       c.SetUseRightToLeftAlignment(true);
                       e.DrawScaledIndicatorItem(&c, area, TcxIndicatorKind(k), clBtnFace, sf);
                       c.SetUseRightToLeftAlignment(false);
                     }});
  cells.push_back({"ind custom", [&p, sf](TcxCanvas& c, const TRect& r) {
                     const TRect area = ElementArea(c, r, 13, 18);
                     c.FillRect(area, clBtnFace);
                     p.DrawScaledIndicatorCustomizationMark(&c, area, clBtnText, sf);
                   }});
  for (int next = 0; next < 2; ++next)
    for (int s = cxbsNormal; s <= cxbsPressed; s += 2)
      cells.push_back({std::string(next ? "sched next " : "sched prev ") + kStates[s],
                       [&p, next, s, sf](TcxCanvas& c, const TRect& r) {
                         TRect bounds = ElementArea(c, r, 70, 24), text, arrow;
                         p.CalculateSchedulerNavigationButtonRects(next != 0, false, 0, 0, bounds, text,
                                                                   arrow, sf, false);
                         c.Font()->SetName(u"DejaVu Sans");
                         c.Font()->SetHeight(-9);
                         p.DrawSchedulerNavigationButton(&c, bounds, next != 0, TcxButtonState(s), u"Mon",
                                                         text, arrow, false);
                       }});
  cells.push_back({"clock", [&p](TcxCanvas& c, const TRect& r) {
                     p.DrawScaledClock(&c, ElementArea(c, r, 44, 44), 0.25 + 10.0 / 1440, clWhite,
                                       dxDefaultScaleFactor());
                   }});
  cells.push_back({"modern clock", [&p, sf](TcxCanvas& c, const TRect& r) {
                     p.DrawModernCalendarClock(&c, ElementArea(c, r, 44, 44), 0.4, clNone, sf);
                   }});
  cells.push_back({"month header", [&e, sf](TcxCanvas& c, const TRect& r) {
                     TcxViewParams params;
                     params.Color = clBtnFace;
                     params.TextColor = clBtnText;
                     e.DrawScaledMonthHeader(&c, ElementArea(c, r, 76, 18), u"May", TcxNeighbors{}, params,
                                             TcxArrowDirections{adLeft, adRight}, 0, sf);
                   }});
  cells.push_back({"event progress", [&p](TcxCanvas& c, const TRect& r) {
                     const TRect area = ElementArea(c, r, 60, 10);
                     TcxViewParams params;
                     params.Color = clWindow;
                     p.DrawSchedulerEventProgress(
                         &c, area, TRect{area.Left + 2, area.Top + 2, area.Left + 30, area.Bottom - 2},
                         params, false);
                   }});
  cells.push_back({"milestone", [&p](TcxCanvas& c, const TRect& r) {
                     p.DrawSchedulerMilestone(&c, ElementArea(c, r, 13, 13));
                   }});
  cells.push_back({"explorer hot", [&p](TcxCanvas& c, const TRect& r) {
                     p.WinExplorerViewDrawRecord(&c, ElementArea(c, r, 60, 30), cxbsHot);
                   }});
  cells.push_back({"layout item hot", [&p](TcxCanvas& c, const TRect& r) {
                     p.LayoutViewDrawItem(&c, ElementArea(c, r, 60, 30), cxbsHot);
                   }});
  for (int s = mcesNormal; s <= mcesPressed; ++s)
    cells.push_back({std::string("map element ") + std::to_string(s), [&p, s](TcxCanvas& c, const TRect& r) {
                       const TRect area = ElementArea(c, r, 60, 30);
                       c.FillRect(area, p.MapControlBackgroundColor());
                       p.DrawMapCustomElementBackground(&c, area, TdxMapControlElementState(s));
                     }});
  cells.push_back({"pushpin", [&p, sf](TcxCanvas& c, const TRect& r) {
                     p.DrawMapPushpin(&c, ElementArea(c, r, 34, 44), mcesNormal, sf);
                   }});
  cells.push_back({"nav bar glyph", [&p, sf](TcxCanvas& c, const TRect& r) {
                     p.OfficeNavigationBarDrawScaledCustomizationButton(&c, ElementArea(c, r, 16, 16),
                                                                        cesNormal, sf, 0xFFC67200);
                   }});
  cells.push_back({"print page", [&p, sf](TcxCanvas& c, const TRect& r) {
                     const TRect area = ElementArea(c, r, 50, 40);
                     p.DrawPrintPreviewScaledBackground(&c, area, sf);
                     const TRect page = cxRectInflate(area, -8);
                     p.DrawPrintPreviewPageScaledBackground(&c, page, cxRectInflate(page, -1), true, true,
                                                            sf);
                   }});
  cells.push_back({"range thumb", [&p, sf](TcxCanvas& c, const TRect& r) {
                     p.DrawRangeControlScaledLeftThumb(&c, ElementArea(c, r, 11, 19), clDefault,
                                                       p.GetRangeControlBorderColor(), sf);
                   }});
  cells.push_back({"ruler header", [&p, sf](TcxCanvas& c, const TRect& r) {
                     p.DrawRangeControlScaledRulerHeader(&c, ElementArea(c, r, 60, 16), true,
                                                         TdxAlphaColorsDefault,
                                                         p.GetRangeControlElementsBorderColor(), sf);
                   }});
  for (int s = dxbcbsNormal; s <= dxbcbsPressed; s += 2)
    cells.push_back(
        {std::string("crumb node ") + std::to_string(s), [&p, s, sf](TcxCanvas& c, const TRect& r) {
           const TRect area = ElementArea(c, r, 40, 20);
           p.DrawBreadcrumbEditScaledNode(&c, area, TdxBreadcrumbEditButtonState(s), true, sf);
           p.DrawBreadcrumbEditScaledNodeDelimiterGlyph(
               &c, TRect{area.Right - 12, area.Top + 4, area.Right - 2, area.Bottom - 4},
               TdxBreadcrumbEditButtonState(s), sf);
         }});
  cells.push_back({"list box", [&p, sf](TcxCanvas& c, const TRect& r) {
                     const TRect area = ElementArea(c, r, 60, 40);
                     p.DrawDropDownListBoxBackground(&c, area, true);
                     p.DrawDropDownListBoxScaledSelection(
                         &c, TRect{area.Left + 3, area.Top + 4, area.Right - 3, area.Top + 16}, TRect{}, sf);
                     p.DrawDropDownListBoxScaledSeparator(
                         &c, TRect{area.Left + 3, area.Top + 18, area.Right - 3, area.Top + 26}, TRect{}, sf);
                   }});
  for (int s = cxbsNormal; s <= cxbsHot; ++s)
    cells.push_back({std::string("token ") + kStates[s], [&p, s, sf](TcxCanvas& c, const TRect& r) {
                       const TRect area = ElementArea(c, r, 50, 18);
                       p.DrawScaledTokenBackground(&c, area, TcxButtonState(s), sf);
                       p.DrawScaledTokenCloseGlyph(
                           &c, TRect{area.Right - 14, area.Top + 3, area.Right - 3, area.Bottom - 3},
                           TcxButtonState(s), sf);
                     }});
  for (int k = rcisUnchecked; k <= rcisHover; ++k)
    cells.push_back({std::string("rating ") + std::to_string(k), [&p, k, sf](TcxCanvas& c, const TRect& r) {
                       p.DrawRatingControlScaledIndicator(&c, ElementArea(c, r, 16, 16),
                                                          TdxRatingControlIndicatorState(k), sf);
                     }});
  cells.push_back({"fixed group", [&p, sf](TcxCanvas& c, const TRect& r) {
                     p.DrawScaledFixedGroupIndicator(&c, ElementArea(c, r, 12, 12), sf);
                   }});
  cells.push_back({"wheel pressed", [&p](TcxCanvas& c, const TRect& r) {
                     p.DrawWheelPickerItem(&c, ElementArea(c, r, 50, 20), cxbsPressed);
                   }});
  for (int k = awbkClose; k <= awbkNext; ++k)
    cells.push_back(
        {std::string("alert btn ") + std::to_string(k), [&p, k, sf](TcxCanvas& c, const TRect& r) {
           p.DrawAlertWindowScaledButton(&c, ElementArea(c, r, 18, 18), cxbsNormal,
                                         TdxAlertWindowButtonKind(k), sf, k == awbkPin);
         }});
  cells.push_back({"color gallery", [&p](TcxCanvas& c, const TRect& r) {
                     TdxGalleryItemViewState state;
                     state.Checked = true;
                     const TRect area = ElementArea(c, r, 20, 20);
                     c.FillRect(cxRectInflate(area, -2), clRed);
                     p.DrawColorGalleryItemSelection(&c, area, state);
                   }});
  cells.push_back({"calendar cell", [&p](TcxCanvas& c, const TRect& r) {
                     p.DrawModernCalendarDateCellSelection(&c, ElementArea(c, r, 24, 18),
                                                           TcxCalendarElementStates{cesSelected, cesHot});
                   }});
  for (int d = 0; d < 4; ++d)
    cells.push_back({std::string("cal arrow ") + dirs[d], [&p, d, sf](TcxCanvas& c, const TRect& r) {
                       p.DrawScaledModernCalendarArrow(&c, ElementArea(c, r, 9, 9), TcxArrowDirection(d),
                                                       cesNormal, sf);
                     }});
  return cells;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: painter_elements_gallery OUT.png [--zoom N]\n");
    return 2;
  }
  int zoom = 3;
  for (int i = 2; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--zoom") == 0) zoom = std::max(1, std::atoi(argv[i + 1]));
  InitializeUnits();
  bool ok;
  {
    TcxCustomLookAndFeelPainter plain;
    ElementsPainter elements;
    const std::vector<Cell> cells = Cells(plain, elements);
    TBitmap picture;
    tools::DrawGalleryGrid(picture, cells, kColumns, kCellW, kCellH,
                           [&cells](TcxCanvas& c, size_t i, const TRect& r) {
                             c.Font()->SetName(u"DejaVu Sans");
                             c.Font()->SetHeight(-8);
                             c.Font()->SetStyle(TFontStyles{});
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
    std::fprintf(stderr, "painter_elements_gallery: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
