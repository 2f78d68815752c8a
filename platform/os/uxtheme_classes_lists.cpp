// The theme's lists and views: header, list box, list view, tree view, tab, tool bar, rebar,
// status bar and tool tips.
#include <algorithm>
#include <cmath>

#include "platform/os/uxtheme_paint.h"

namespace qd::theme {

namespace {

using namespace pal;

// Items of lists and trees, by LISS_ state: normal, hot, selected, disabled,
// selected without focus, hot and selected.
std::vector<Look> ItemLooks() {
  return {
      L(0, 0, 0, Text),         L(ItemHot, 0, 0, Text),      L(ItemSelected, 0, 0, Text),
      L(0, 0, 0, TextDisabled), L(ItemInactive, 0, 0, Text), L(ItemSelected, ItemSelectedBorder, 0, Text)};
}
const std::vector<std::string> kItemStates = {
    "normal", "hot", "selected", "disabled", "selected not focus", "hot selected"};

PartDef ItemPart(int id, std::string name) {
  PartDef p = Part(id, std::move(name), kItemStates);
  p.look = Looks(ItemLooks());
  p.transparent = true;
  p.content = {2, 2, 1, 1};
  p.textPart = true;
  return p;
}

}  // namespace

// ---- HEADER ----------------------------------------------------------------------------------

ClassDef HeaderClass() {
  ClassDef c{"Header", {}};
  // A white cell with a separator on its right and a line along its bottom.
  auto cell = [](bool separator) {
    return [separator](PaintCtx& p) {
      if (!p.omitContent && p.look.fill) p.c.FillRect(p.r, p.look.fill);
      if (p.omitBorder) return;
      float bw = p.Bw();
      p.c.FillRect({p.r.l, p.r.b - bw, p.r.r, p.r.b}, p.look.border);
      if (separator) p.c.FillRect({p.r.r - bw, p.r.t, p.r.r, p.r.b - bw}, p.look.border);
    };
  };
  const Look normal = L(Window, Line, Glyph, Text),
             hot = L(Rgb(217, 235, 249), Rgb(192, 220, 243), Glyph, Text),
             pressed = L(Rgb(188, 220, 244), Rgb(168, 202, 238), Glyph, Text),
             sorted = L(Rgb(247, 247, 247), Line, Glyph, Text);
  {
    PartDef p =
        Part(HP_HEADERITEM, "HP_HEADERITEM",
             {"normal", "hot", "pressed", "sorted normal", "sorted hot", "sorted pressed", "icon normal",
              "icon hot", "icon pressed", "icon sorted normal", "icon sorted hot", "icon sorted pressed"});
    p.look = Looks({normal, hot, pressed, sorted, hot, pressed, normal, hot, pressed, sorted, hot, pressed});
    p.paint = cell(true);
    p.content = {4, 4, 2, 3};
    p.sizing = {1, 1, 1, 1};
    p.textPart = true;
    c.parts.push_back(p);
  }
  for (int id : {HP_HEADERITEMLEFT, HP_HEADERITEMRIGHT}) {
    PartDef p = Part(id, id == HP_HEADERITEMLEFT ? "HP_HEADERITEMLEFT" : "HP_HEADERITEMRIGHT",
                     {"normal", "hot", "pressed"});
    p.look = Looks({normal, hot, pressed});
    p.paint = cell(id == HP_HEADERITEMLEFT);
    p.content = {4, 4, 2, 3};
    p.sizing = {1, 1, 1, 1};
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(HP_HEADERSORTARROW, "HP_HEADERSORTARROW", {"sorted up", "sorted down"});
    p.look = OneLook(L(0, 0, Rgb(128, 128, 128)));
    p.paint = [](PaintCtx& pc) {
      Chevron(pc, GlyphBox(pc, 9, 5), pc.state == HSAS_SORTEDDOWN ? Dir::Down : Dir::Up, pc.look.glyph);
    };
    p.trueSize = p.minSize = {9, 5};
    p.sizingType = ST_TRUESIZE;
    p.transparent = true;
    c.parts.push_back(p);
  }
  for (int id : {HP_HEADERDROPDOWN, HP_HEADERDROPDOWNFILTER}) {
    bool filter = id == HP_HEADERDROPDOWNFILTER;
    PartDef p =
        Part(id, filter ? "HP_HEADERDROPDOWNFILTER" : "HP_HEADERDROPDOWN", {"normal", "soft hot", "hot"});
    p.look = Looks({L(0, 0, Glyph), L(Rgb(240, 246, 252), 0, Glyph),
                    L(Rgb(217, 235, 249), Rgb(192, 220, 243), GlyphHot)});
    p.paint = WithGlyph(FramePaint(0), [filter](PaintCtx& pc) {
      RectF box = GlyphBox(pc, 8);
      if (!filter) return Chevron(pc, box, Dir::Down, pc.look.glyph);
      // A funnel.
      PointF pts[4] = {{box.l, box.t + box.H() * 0.15f},
                       {box.r, box.t + box.H() * 0.15f},
                       {box.Cx() + box.W() * 0.12f, box.t + box.H() * 0.55f},
                       {box.Cx() - box.W() * 0.12f, box.t + box.H() * 0.55f}};
      pc.c.FillPolygon(pts, 4, pc.look.glyph);
      pc.c.FillRect({std::round(box.Cx() - pc.s), box.t + box.H() * 0.5f, std::round(box.Cx() + pc.s),
                     box.t + box.H() * 0.9f},
                    pc.look.glyph);
    });
    p.trueSize = {16, 0};
    p.minSize = {8, 8};
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(HP_HEADEROVERFLOW, "HP_HEADEROVERFLOW", {"normal", "hot"});
    p.look = Looks({L(0, 0, Glyph), L(Rgb(217, 235, 249), Rgb(192, 220, 243), GlyphHot)});
    p.paint = WithGlyph(FramePaint(0),
                        [](PaintCtx& pc) { DoubleChevron(pc, GlyphBox(pc, 10), Dir::Right, pc.look.glyph); });
    p.trueSize = {16, 0};
    p.minSize = {8, 8};
    p.transparent = true;
    c.parts.push_back(p);
  }
  return c;
}

// ---- LISTBOX ---------------------------------------------------------------------------------

ClassDef ListBoxClass() {
  ClassDef c{"ListBox", {}};
  const char* names[] = {"LBCP_BORDER_HSCROLL", "LBCP_BORDER_HVSCROLL", "LBCP_BORDER_NOSCROLL",
                         "LBCP_BORDER_VSCROLL"};
  for (int i = 0; i < 4; ++i) {
    PartDef p = Part(LBCP_BORDER_HSCROLL + i, names[i], {"normal", "focused", "hot", "disabled"});
    p.look = Looks({L(Window, Border), L(Window, Accent), L(Window, Rgb(153, 153, 153)),
                    L(DisabledFill, DisabledBorder, 0, TextDisabled)});
    p.content = p.sizing = {1, 1, 1, 1};
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(LBCP_ITEM, "LBCP_ITEM", {"hot", "hot selected", "selected", "selected not focus"});
    p.look = Looks({L(ItemHot), L(ItemSelected, ItemSelectedBorder), L(ItemSelected), L(ItemInactive)});
    p.content = {2, 2, 1, 1};
    p.textPart = true;
    c.parts.push_back(p);
  }
  return c;
}

// ---- LISTVIEW --------------------------------------------------------------------------------

ClassDef ListViewClass(bool explorer) {
  ClassDef c{explorer ? "Explorer::ListView" : "ListView", {}};
  c.parts.push_back(ItemPart(LVP_LISTITEM, "LVP_LISTITEM"));
  {
    PartDef p = Part(LVP_LISTGROUP, "LVP_LISTGROUP");
    p.look = OneLook(L(Window));
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(LVP_LISTDETAIL, "LVP_LISTDETAIL");
    p.look = OneLook(L(Window));
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(LVP_LISTSORTEDDETAIL, "LVP_LISTSORTEDDETAIL");
    p.look = OneLook(L(Rgb(247, 247, 247)));
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    // The view's own frame: a one-pixel border round the empty-list background.
    PartDef p = Part(LVP_EMPTYTEXT, "LVP_EMPTYTEXT");
    p.look = OneLook(L(Window, Border, 0, TextSecondary));
    p.content = p.sizing = {1, 1, 1, 1};
    p.textPart = true;
    c.parts.push_back(p);
  }
  std::vector<std::string> groupStates;
  for (const char* open : {"open", "close"})
    for (const char* kind : {"", " hot", " selected", " selected hot", " selected not focused",
                             " selected not focused hot", " mixed selection", " mixed selection hot"})
      groupStates.push_back(std::string(open) + kind);
  const std::vector<Look> groupLooks = {L(0, 0, Glyph, Rgb(30, 57, 91)),
                                        L(ItemHot, Rgb(204, 232, 255), GlyphHot, Rgb(30, 57, 91)),
                                        L(ItemSelected, 0, GlyphHot, Rgb(30, 57, 91)),
                                        L(ItemSelected, ItemSelectedBorder, GlyphHot, Rgb(30, 57, 91)),
                                        L(ItemInactive, 0, Glyph, Rgb(30, 57, 91)),
                                        L(ItemInactive, Rgb(192, 192, 192), Glyph, Rgb(30, 57, 91)),
                                        L(Rgb(240, 247, 255), 0, Glyph, Rgb(30, 57, 91)),
                                        L(Rgb(240, 247, 255), ItemSelectedBorder, GlyphHot, Rgb(30, 57, 91))};
  auto byGroupState = [groupLooks](int state) {
    if (state < 1 || state > 16) state = 1;
    return groupLooks[static_cast<size_t>((state - 1) % 8)];
  };
  {
    PartDef p = Part(LVP_GROUPHEADER, "LVP_GROUPHEADER", groupStates);
    p.look = byGroupState;
    p.transparent = true;
    p.content = {4, 4, 2, 2};
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(LVP_GROUPHEADERLINE, "LVP_GROUPHEADERLINE", groupStates);
    p.look = [byGroupState](int state) {
      Look l = byGroupState(state);
      l.glyph = l.border ? l.border : (l.fill ? ItemSelectedBorder : Rgb(226, 226, 226));
      return l;
    };
    p.paint = [](PaintCtx& pc) { pc.c.FillRect(CenteredIn(pc.r, pc.r.W(), pc.Bw()), pc.look.glyph); };
    p.transparent = true;
    c.parts.push_back(p);
  }
  for (int id : {LVP_EXPANDBUTTON, LVP_COLLAPSEBUTTON}) {
    bool expand = id == LVP_EXPANDBUTTON;
    PartDef p = Part(id, expand ? "LVP_EXPANDBUTTON" : "LVP_COLLAPSEBUTTON", {"normal", "hover", "pushed"});
    p.look = Looks({L(0, 0, Glyph), L(ItemHot, Rgb(204, 232, 255), GlyphHot),
                    L(ItemSelected, ItemSelectedBorder, GlyphHot)});
    p.paint = [expand](PaintCtx& pc) {
      RectF b = GlyphBox(pc, 16);
      if (pc.look.fill) pc.c.FillRoundRect(b, 2 * pc.s, pc.look.fill);
      if (pc.look.border) pc.c.StrokeRoundRect(b, 2 * pc.s, pc.Bw(), pc.look.border);
      Chevron(pc, CenteredIn(b, std::round(8 * pc.s), std::round(8 * pc.s)), expand ? Dir::Down : Dir::Up,
              pc.look.glyph);
    };
    p.trueSize = p.minSize = {16, 16};
    p.sizingType = ST_TRUESIZE;
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(LVP_COLUMNDETAIL, "LVP_COLUMNDETAIL");
    p.look = OneLook(L(0, Rgb(240, 240, 240)));
    p.paint = SidesPaint(BF_RIGHT);
    p.transparent = true;
    c.parts.push_back(p);
  }
  return c;
}

// ---- TREEVIEW --------------------------------------------------------------------------------

ClassDef TreeViewClass(bool explorer) {
  ClassDef c{explorer ? "Explorer::TreeView" : "TreeView", {}};
  c.parts.push_back(ItemPart(TVP_TREEITEM, "TVP_TREEITEM"));
  float size = explorer ? 16 : 9;
  for (int id : {TVP_GLYPH, TVP_HOTGLYPH}) {
    bool hot = id == TVP_HOTGLYPH;
    PartDef p = Part(id, hot ? "TVP_HOTGLYPH" : "TVP_GLYPH", {"closed", "opened"});
    p.look = OneLook(L(0, 0, hot ? Accent : Glyph));
    p.paint = [size](PaintCtx& pc) {
      // A chevron: right when closed, down when open.
      RectF box = GlyphBox(pc, size);
      float g = std::round(std::min(box.W(), 8 * pc.s));
      Chevron(pc, CenteredIn(box, g, g), pc.state == GLPS_OPENED ? Dir::Down : Dir::Right, pc.look.glyph);
    };
    p.trueSize = p.minSize = {static_cast<int>(size), static_cast<int>(size)};
    p.sizingType = ST_TRUESIZE;
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(TVP_BRANCH, "TVP_BRANCH");
    p.look = OneLook(L(0, 0, Rgb(192, 192, 192)));
    p.paint = [](PaintCtx& pc) {
      // A dotted line down the middle.
      float x = std::floor(pc.r.Cx());
      float d = pc.Bw();
      for (float y = pc.r.t; y < pc.r.b; y += 2 * d)
        pc.c.FillRect({x, y, x + d, std::min(y + d, pc.r.b)}, pc.look.glyph);
    };
    p.transparent = true;
    c.parts.push_back(p);
  }
  // Keep the declared order of part ids.
  std::sort(c.parts.begin(), c.parts.end(), [](const PartDef& a, const PartDef& b) { return a.id < b.id; });
  return c;
}

// ---- TAB -------------------------------------------------------------------------------------

ClassDef TabClass() {
  ClassDef c{"Tab", {}};
  const std::vector<std::string> states = {"normal", "hot", "selected", "disabled", "focused"};
  const std::vector<Look> looks = {
      L(Face, Rgb(217, 217, 217), Glyph, Text), L(Rgb(216, 234, 249), HotBorder, Glyph, Text),
      L(Window, Rgb(217, 217, 217), Glyph, Text), L(Face, Rgb(228, 228, 228), Glyph, TextDisabled),
      L(Window, Rgb(217, 217, 217), Glyph, Text)};
  // Rounded top corners, no bottom edge; the selected tab carries an accent line on top.
  PaintFn body = SidesPaint(BF_LEFT | BF_TOP | BF_RIGHT, 2, 1 | 2);
  PaintFn item = [body](PaintCtx& p) {
    body(p);
    if ((p.state == TIS_SELECTED || p.state == TIS_FOCUSED) && !p.omitBorder) {
      float t = p.Px(2);
      float rad = std::min(2 * p.s, p.r.W() / 2);
      float radii[4] = {rad, rad, 0, 0};
      p.c.FillRoundRect({p.r.l, p.r.t, p.r.r, p.r.t + t}, radii, Accent);
    }
  };
  const char* names[] = {
      "TABP_TABITEM",    "TABP_TABITEMLEFTEDGE",    "TABP_TABITEMRIGHTEDGE",    "TABP_TABITEMBOTHEDGE",
      "TABP_TOPTABITEM", "TABP_TOPTABITEMLEFTEDGE", "TABP_TOPTABITEMRIGHTEDGE", "TABP_TOPTABITEMBOTHEDGE"};
  for (int i = 0; i < 8; ++i) {
    PartDef p = Part(TABP_TABITEM + i, names[i], states);
    p.look = Looks(looks);
    p.paint = item;
    p.content = {6, 6, 3, 2};
    p.sizing = {3, 3, 3, 1};
    p.borderType = BT_ROUNDRECT;
    p.radius = 2;
    p.transparent = true;
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(TABP_PANE, "TABP_PANE");
    p.look = OneLook(L(Window, Rgb(217, 217, 217)));
    p.content = p.sizing = {1, 1, 1, 1};
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(TABP_BODY, "TABP_BODY");
    p.look = OneLook(L(Window));
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(TABP_AEROWIZARDBODY, "TABP_AEROWIZARDBODY", {"normal", "disabled"});
    p.look = Looks({L(Window), L(Rgb(250, 250, 250), 0, 0, TextDisabled)});
    p.textPart = true;
    c.parts.push_back(p);
  }
  return c;
}

// ---- TOOLBAR ---------------------------------------------------------------------------------

ClassDef ToolBarClass() {
  ClassDef c{"ToolBar", {}};
  const std::vector<std::string> states = {"normal",  "hot",         "pressed",  "disabled",
                                           "checked", "hot checked", "near hot", "other side hot"};
  const std::vector<Look> looks = {L(0, 0, Glyph, Text),
                                   L(ItemHot, Rgb(204, 232, 255), GlyphHot, Text),
                                   L(Rgb(179, 215, 243), HotBorder, GlyphHot, Text),
                                   L(0, 0, DisabledGlyph, TextDisabled),
                                   L(ItemSelected, ItemSelectedBorder, GlyphHot, Text),
                                   L(Rgb(179, 215, 243), HotBorder, GlyphHot, Text),
                                   L(0, Rgb(204, 232, 255), Glyph, Text),
                                   L(Rgb(242, 248, 255), Rgb(204, 232, 255), Glyph, Text)};
  auto button = [&](int id, std::string name) {
    PartDef p = Part(id, std::move(name), states);
    p.look = Looks(looks);
    p.paint = FramePaint(2);
    p.borderType = BT_ROUNDRECT;
    p.radius = 2;
    p.content = {4, 4, 3, 3};
    p.sizing = {3, 3, 3, 3};
    p.transparent = true;
    p.textPart = true;
    return p;
  };
  c.parts.push_back(button(TP_BUTTON, "TP_BUTTON"));
  c.parts.push_back(button(TP_DROPDOWNBUTTON, "TP_DROPDOWNBUTTON"));
  c.parts.push_back(button(TP_SPLITBUTTON, "TP_SPLITBUTTON"));
  {
    PartDef p = button(TP_SPLITBUTTONDROPDOWN, "TP_SPLITBUTTONDROPDOWN");
    p.paint = WithGlyph(FramePaint(2),
                        [](PaintCtx& pc) { Chevron(pc, GlyphBox(pc, 7), Dir::Down, pc.look.glyph); });
    p.content = {1, 1, 3, 3};
    p.trueSize = {12, 0};
    p.textPart = false;
    c.parts.push_back(p);
  }
  for (int id : {TP_SEPARATOR, TP_SEPARATORVERT}) {
    bool vert = id == TP_SEPARATORVERT;  // a separator of a vertical tool bar: a horizontal line
    PartDef p = Part(id, vert ? "TP_SEPARATORVERT" : "TP_SEPARATOR");
    p.look = OneLook(L(0, 0, Border));
    p.paint = [vert](PaintCtx& pc) {
      float t = pc.Bw(), inset = pc.Px(2);
      RectF line = vert ? CenteredIn(pc.r.Inset(inset, 0), std::max(0.0f, pc.r.W() - 2 * inset), t)
                        : CenteredIn(pc.r.Inset(0, inset), t, std::max(0.0f, pc.r.H() - 2 * inset));
      pc.c.FillRect(line, pc.look.glyph);
    };
    p.trueSize = p.minSize = {6, 6};
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(TP_DROPDOWNBUTTONGLYPH, "TP_DROPDOWNBUTTONGLYPH", states);
    p.look = Looks(looks);
    p.paint = [](PaintCtx& pc) { Chevron(pc, GlyphBox(pc, 7), Dir::Down, pc.look.glyph); };
    p.trueSize = p.minSize = {9, 9};
    p.sizingType = ST_TRUESIZE;
    p.transparent = true;
    c.parts.push_back(p);
  }
  return c;
}

// ---- REBAR -----------------------------------------------------------------------------------

ClassDef RebarClass() {
  ClassDef c{"Rebar", {}};
  for (int id : {RP_GRIPPER, RP_GRIPPERVERT}) {
    bool vert = id == RP_GRIPPERVERT;  // the gripper of a vertical band runs across it
    PartDef p = Part(id, vert ? "RP_GRIPPERVERT" : "RP_GRIPPER");
    p.look = OneLook(L(0, 0, Rgb(170, 170, 170)));
    p.paint = [vert](PaintCtx& pc) {
      float span = vert ? pc.r.W() : pc.r.H();
      int count = std::max(1, static_cast<int>((span - pc.Px(4)) / (2 * pc.Px(2))));
      Dots(pc, pc.r, !vert, std::min(count, 8), pc.look.glyph);
    };
    p.trueSize = vert ? SIZE{0, 6} : SIZE{6, 0};
    p.minSize = {3, 3};
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(RP_BAND, "RP_BAND");
    p.look = OneLook(L(0, Line));
    p.paint = SidesPaint(BF_BOTTOM);
    p.transparent = true;
    c.parts.push_back(p);
  }
  for (int id : {RP_CHEVRON, RP_CHEVRONVERT}) {
    bool vert = id == RP_CHEVRONVERT;
    PartDef p = Part(id, vert ? "RP_CHEVRONVERT" : "RP_CHEVRON", {"normal", "hot", "pressed"});
    p.look = Looks({L(0, 0, Glyph), L(ItemHot, Rgb(204, 232, 255), GlyphHot),
                    L(Rgb(179, 215, 243), HotBorder, GlyphHot)});
    p.paint = WithGlyph(FramePaint(2), [vert](PaintCtx& pc) {
      DoubleChevron(pc, GlyphBox(pc, 10), vert ? Dir::Down : Dir::Right, pc.look.glyph);
    });
    p.trueSize = {14, 14};
    p.minSize = {6, 6};
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(RP_BACKGROUND, "RP_BACKGROUND");
    p.look = OneLook(L(Rgb(245, 245, 245)));
    c.parts.push_back(p);
  }
  for (int id : {RP_SPLITTER, RP_SPLITTERVERT}) {
    bool vert = id == RP_SPLITTERVERT;
    PartDef p = Part(id, vert ? "RP_SPLITTERVERT" : "RP_SPLITTER", {"normal", "hot", "pressed"});
    p.look = Looks({L(0, 0, Border), L(ItemHot, 0, HotBorder), L(Rgb(179, 215, 243), 0, Accent)});
    p.paint = [vert](PaintCtx& pc) {
      if (pc.look.fill) pc.c.FillRect(pc.r, pc.look.fill);
      float t = pc.Bw();
      pc.c.FillRect(vert ? CenteredIn(pc.r, pc.r.W(), t) : CenteredIn(pc.r, t, pc.r.H()), pc.look.glyph);
    };
    p.trueSize = {5, 5};
    p.transparent = true;
    c.parts.push_back(p);
  }
  return c;
}

// ---- STATUS ----------------------------------------------------------------------------------

ClassDef StatusClass() {
  ClassDef c{"Status", {}};
  {
    PartDef p = Part(SP_PANE, "SP_PANE");
    p.look = OneLook(L(0, 0, Border, Text));
    p.paint = [](PaintCtx& pc) {
      // A short separator on the right.
      float t = pc.Bw(), inset = std::min(pc.Px(3), std::floor(pc.r.H() / 4));
      pc.c.FillRect({pc.r.r - t, pc.r.t + inset, pc.r.r, pc.r.b - inset}, pc.look.glyph);
    };
    p.content = {4, 4, 1, 1};
    p.transparent = true;
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(SP_GRIPPERPANE, "SP_GRIPPERPANE");
    p.look = OneLook(L(0, Line, 0, Text));
    p.paint = SidesPaint(BF_LEFT);
    p.content = {4, 4, 1, 1};
    p.transparent = true;
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(SP_GRIPPER, "SP_GRIPPER");
    p.look = OneLook(L(0, 0, Rgb(160, 160, 160)));
    p.paint = [](PaintCtx& pc) { GripDots(pc, pc.r, true, true, pc.look.glyph); };
    p.trueSize = {12, 12};
    p.minSize = {6, 6};
    p.transparent = true;
    c.parts.push_back(p);
  }
  return c;
}

// ---- TOOLTIP ---------------------------------------------------------------------------------

ClassDef ToolTipClass() {
  ClassDef c{"ToolTip", {}};
  const Argb tipBorder = Rgb(160, 160, 160), tipText = Rgb(87, 87, 87);
  {
    PartDef p = Part(TTP_STANDARD, "TTP_STANDARD", {"normal", "link"});
    p.look = Looks({L(Window, tipBorder, 0, tipText), L(Window, tipBorder, 0, Link)});
    p.content = {4, 4, 2, 2};
    p.sizing = {1, 1, 1, 1};
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(TTP_STANDARDTITLE, "TTP_STANDARDTITLE", {"normal", "link"});
    p.look = Looks({L(Window, 0, 0, Text), L(Window, 0, 0, Link)});
    p.fontWeight = FW_BOLD;
    p.fontPoints = 9;
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(TTP_BALLOON, "TTP_BALLOON", {"normal", "link"});
    p.look = Looks({L(Window, tipBorder, 0, tipText), L(Window, tipBorder, 0, Link)});
    p.paint = FramePaint(4);
    p.borderType = BT_ROUNDRECT;
    p.radius = 4;
    p.content = {8, 8, 6, 6};
    p.sizing = {5, 5, 5, 5};
    p.transparent = true;
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(TTP_BALLOONTITLE, "TTP_BALLOONTITLE", {"normal", "link"});
    p.look = Looks({L(0, 0, 0, Text), L(0, 0, 0, Link)});
    p.paint = NoPaint();
    p.fontWeight = FW_BOLD;
    p.fontPoints = 9;
    p.transparent = true;
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(TTP_CLOSE, "TTP_CLOSE", {"normal", "hot", "pressed"});
    p.look = Looks({L(0, 0, Glyph), L(Danger, 0, Window), L(DangerPressed, 0, Window)});
    p.paint = [](PaintCtx& pc) {
      RectF b = GlyphBox(pc, 14);
      if (pc.look.fill) pc.c.FillRoundRect(b, 2 * pc.s, pc.look.fill);
      Cross(pc, CenteredIn(b, std::round(b.W() / 2), std::round(b.W() / 2)), pc.look.glyph);
    };
    p.trueSize = p.minSize = {14, 14};
    p.sizingType = ST_TRUESIZE;
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(TTP_BALLOONSTEM, "TTP_BALLOONSTEM",
                     {"pointing up left wall", "pointing up centred", "pointing up right wall",
                      "pointing down right wall", "pointing down centred", "pointing down left wall"});
    p.look = OneLook(L(Window, tipBorder));
    p.paint = [](PaintCtx& pc) {
      int s = pc.state < 1 || pc.state > 6 ? 1 : pc.state;
      bool up = s <= 3;
      int where = up ? s - 1 : 6 - s;  // 0 left wall, 1 centred, 2 right wall
      const RectF& r = pc.r;
      float tipX = where == 0 ? r.l : (where == 1 ? r.Cx() : r.r);
      float baseL = where == 2 ? r.r - r.W() / 2 : (where == 1 ? r.l : r.l),
            baseR = where == 0 ? r.l + r.W() / 2 : r.r;
      float tipY = up ? r.t : r.b, baseY = up ? r.b : r.t;
      PointF pts[3] = {{tipX, tipY}, {baseR, baseY}, {baseL, baseY}};
      pc.c.FillPolygon(pts, 3, pc.look.fill);
      float t = pc.Bw();
      pc.c.Line({baseL, baseY}, {tipX, tipY}, t, pc.look.border);
      pc.c.Line({tipX, tipY}, {baseR, baseY}, t, pc.look.border);
    };
    p.trueSize = {20, 12};
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(TTP_WRENCH, "TTP_WRENCH", {"normal", "hot", "pressed"});
    p.look = Looks({L(0, 0, Glyph), L(ItemHot, 0, GlyphHot), L(ItemSelected, 0, GlyphHot)});
    p.paint = [](PaintCtx& pc) {
      RectF b = GlyphBox(pc, 16);
      if (pc.look.fill) pc.c.FillRoundRect(b, 2 * pc.s, pc.look.fill);
      // A wrench: a handle and an open ring at its top end.
      float t = std::max(1.0f, 2 * pc.s);
      RectF g = b.Inset(std::round(3 * pc.s));
      pc.c.Line({g.l + t / 2, g.b - t / 2}, {g.Cx() + g.W() * 0.1f, g.Cy() - g.H() * 0.1f}, t, pc.look.glyph);
      RectF ring{g.r - g.W() * 0.55f, g.t, g.r, g.t + g.H() * 0.55f};
      pc.c.StrokeEllipse(ring, std::max(1.0f, 1.5f * pc.s), pc.look.glyph);
    };
    p.trueSize = p.minSize = {16, 16};
    p.sizingType = ST_TRUESIZE;
    p.transparent = true;
    c.parts.push_back(p);
  }
  return c;
}

}  // namespace qd::theme
