// The theme's window frames, menus and shell parts: window, menu, explorer bar, task band,
// task bar, clock, notification area, start panel, pager, text styles, navigation buttons,
// links and date pickers.
#include <algorithm>
#include <cmath>

#include "platform/os/uxtheme_paint.h"

namespace qd::theme {

namespace {

using namespace pal;

enum class Sym { Close, Min, Max, Restore, Help, Sys };

// The caption-button symbols, drawn into `box`.
void Symbol(PaintCtx& p, const RectF& box, Sym s, Argb c) {
  float t = p.Bw();
  RectF b = CenteredIn(box, std::round(std::min(box.W(), box.H())), std::round(std::min(box.W(), box.H())));
  switch (s) {
    case Sym::Close:
      Cross(p, b, c, std::max(1.0f, p.s));
      break;
    case Sym::Min:
      p.c.FillRect(CenteredIn(b, b.W(), t), c);
      break;
    case Sym::Max:
      p.c.StrokeRoundRect(b, 0.0f, t, c);
      break;
    case Sym::Restore: {
      float k = std::round(b.W() * 0.25f);
      RectF front{b.l, b.t + k, b.r - k, b.b};
      p.c.StrokeRoundRect(front, 0.0f, t, c);
      p.c.FillRect({b.l + k, b.t, b.r, b.t + t}, c);
      p.c.FillRect({b.r - t, b.t, b.r, b.b - k}, c);
      break;
    }
    case Sym::Help: {
      float w = b.W();
      float lw = std::max(1.0f, 1.25f * p.s);
      PointF hook[6] = {{b.l + w * 0.25f, b.t + w * 0.3f},  {b.l + w * 0.38f, b.t + w * 0.08f},
                        {b.l + w * 0.62f, b.t + w * 0.08f}, {b.l + w * 0.75f, b.t + w * 0.3f},
                        {b.l + w * 0.5f, b.t + w * 0.52f},  {b.l + w * 0.5f, b.t + w * 0.7f}};
      p.c.Polyline(hook, 6, lw, c);
      float d = std::max(1.0f, std::round(1.5f * p.s));
      p.c.FillRect(CenteredIn({b.l, b.t + w * 0.82f, b.r, b.b}, d, d), c);
      break;
    }
    case Sym::Sys: {
      float rad = std::round(b.W() * 0.15f);
      p.c.StrokeRoundRect(b, rad, t, c);
      p.c.FillRect({b.l, b.t, b.r, b.t + std::round(b.H() * 0.3f)}, c);
      break;
    }
  }
}

PartDef CaptionButton(int id, std::string name, Sym sym, float glyph, SIZE size) {
  PartDef p = Part(id, std::move(name), FourStates());
  if (sym == Sym::Close)
    p.look =
        Looks({L(0, 0, Ink), L(Danger, 0, Window), L(DangerPressed, 0, Window), L(0, 0, Rgb(200, 200, 200))});
  else
    p.look = Looks({L(0, 0, Ink), L(Rgb(229, 229, 229), 0, Ink), L(Rgb(204, 204, 204), 0, Ink),
                    L(0, 0, Rgb(200, 200, 200))});
  p.paint = WithGlyph(FramePaint(0), [sym, glyph](PaintCtx& pc) {
    RectF box = GlyphBox(pc, glyph);
    Symbol(pc, box, sym, pc.look.glyph);
  });
  p.trueSize = size;
  p.minSize = {8, 8};
  p.transparent = true;
  return p;
}

}  // namespace

// ---- WINDOW ----------------------------------------------------------------------------------

ClassDef WindowClass() {
  ClassDef c{"Window", {}};
  const Argb activeEdge = Rgb(170, 170, 170), inactiveEdge = Rgb(204, 204, 204);
  const std::vector<std::string> captionStates = {"active", "inactive", "disabled"};
  const std::vector<Look> captionLooks = {L(Window, activeEdge, 0, Text),
                                          L(Window, inactiveEdge, 0, Rgb(153, 153, 153)),
                                          L(Window, inactiveEdge, 0, TextDisabled)};
  struct Caption {
    int id;
    const char* name;
    int height;
  } captions[] = {{WP_CAPTION, "WP_CAPTION", 31},       {WP_SMALLCAPTION, "WP_SMALLCAPTION", 23},
                  {WP_MINCAPTION, "WP_MINCAPTION", 31}, {WP_SMALLMINCAPTION, "WP_SMALLMINCAPTION", 23},
                  {WP_MAXCAPTION, "WP_MAXCAPTION", 23}, {WP_SMALLMAXCAPTION, "WP_SMALLMAXCAPTION", 23}};
  for (const Caption& cap : captions) {
    PartDef p = Part(cap.id, cap.name, captionStates);
    p.look = Looks(captionLooks);
    p.paint = SidesPaint(BF_LEFT | BF_TOP | BF_RIGHT);
    p.trueSize = {0, cap.height};
    p.content = {8, 8, 4, 4};
    p.sizing = {1, 1, 1, 1};
    p.textPart = true;
    c.parts.push_back(p);
  }
  const std::vector<Look> frameLooks = {L(Window, activeEdge), L(Window, inactiveEdge)};
  struct Frame {
    int id;
    const char* name;
    unsigned side;
    bool small;
  } frames[] = {{WP_FRAMELEFT, "WP_FRAMELEFT", BF_LEFT, false},
                {WP_FRAMERIGHT, "WP_FRAMERIGHT", BF_RIGHT, false},
                {WP_FRAMEBOTTOM, "WP_FRAMEBOTTOM", BF_BOTTOM, false},
                {WP_SMALLFRAMELEFT, "WP_SMALLFRAMELEFT", BF_LEFT, true},
                {WP_SMALLFRAMERIGHT, "WP_SMALLFRAMERIGHT", BF_RIGHT, true},
                {WP_SMALLFRAMEBOTTOM, "WP_SMALLFRAMEBOTTOM", BF_BOTTOM, true}};
  for (const Frame& f : frames) {
    PartDef p = Part(f.id, f.name, {"active", "inactive"});
    p.look = Looks(frameLooks);
    p.paint = SidesPaint(f.side);
    int w = f.small ? 4 : 8;
    p.trueSize = f.side == BF_BOTTOM ? SIZE{0, w} : SIZE{w, 0};
    p.sizing = {1, 1, 1, 1};
    c.parts.push_back(p);
  }
  c.parts.push_back(CaptionButton(WP_SYSBUTTON, "WP_SYSBUTTON", Sym::Sys, 12, {30, 22}));
  c.parts.push_back(CaptionButton(WP_MDISYSBUTTON, "WP_MDISYSBUTTON", Sym::Sys, 9, {16, 16}));
  c.parts.push_back(CaptionButton(WP_MINBUTTON, "WP_MINBUTTON", Sym::Min, 10, {30, 22}));
  c.parts.push_back(CaptionButton(WP_MDIMINBUTTON, "WP_MDIMINBUTTON", Sym::Min, 7, {16, 16}));
  c.parts.push_back(CaptionButton(WP_MAXBUTTON, "WP_MAXBUTTON", Sym::Max, 10, {30, 22}));
  c.parts.push_back(CaptionButton(WP_CLOSEBUTTON, "WP_CLOSEBUTTON", Sym::Close, 10, {30, 22}));
  c.parts.push_back(CaptionButton(WP_SMALLCLOSEBUTTON, "WP_SMALLCLOSEBUTTON", Sym::Close, 7, {13, 13}));
  c.parts.push_back(CaptionButton(WP_MDICLOSEBUTTON, "WP_MDICLOSEBUTTON", Sym::Close, 7, {16, 16}));
  c.parts.push_back(CaptionButton(WP_RESTOREBUTTON, "WP_RESTOREBUTTON", Sym::Restore, 10, {30, 22}));
  c.parts.push_back(CaptionButton(WP_MDIRESTOREBUTTON, "WP_MDIRESTOREBUTTON", Sym::Restore, 7, {16, 16}));
  c.parts.push_back(CaptionButton(WP_HELPBUTTON, "WP_HELPBUTTON", Sym::Help, 10, {30, 22}));
  c.parts.push_back(CaptionButton(WP_MDIHELPBUTTON, "WP_MDIHELPBUTTON", Sym::Help, 7, {16, 16}));
  const std::vector<std::string> scrollStates = {"normal", "hot", "pushed", "disabled"};
  for (int id : {WP_HORZSCROLL, WP_VERTSCROLL}) {
    PartDef p = Part(id, id == WP_HORZSCROLL ? "WP_HORZSCROLL" : "WP_VERTSCROLL", scrollStates);
    p.look = Looks({L(Track), L(Rgb(234, 234, 234)), L(Rgb(218, 218, 218)), L(Rgb(244, 244, 244))});
    c.parts.push_back(p);
  }
  for (int id : {WP_HORZTHUMB, WP_VERTTHUMB}) {
    bool horizontal = id == WP_HORZTHUMB;
    PartDef p = Part(id, horizontal ? "WP_HORZTHUMB" : "WP_VERTTHUMB", scrollStates);
    p.look = Looks({L(Rgb(205, 205, 205)), L(Rgb(166, 166, 166)), L(Rgb(96, 96, 96)), L(Rgb(225, 225, 225))});
    p.paint = [horizontal](PaintCtx& pc) {
      float inset = std::min(pc.Px(2), std::floor(((horizontal ? pc.r.H() : pc.r.W()) - 1) / 2));
      pc.c.FillRect(horizontal ? pc.r.Inset(0, inset) : pc.r.Inset(inset, 0), pc.look.fill);
    };
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(WP_DIALOG, "WP_DIALOG");
    p.look = OneLook(L(Face));
    p.textPart = true;
    c.parts.push_back(p);
  }
  // The sizing templates: the shapes that hit-testing uses, shown as the parts they stand for.
  struct Template {
    int id;
    const char* name;
    unsigned sides;
  } templates[] = {
      {WP_CAPTIONSIZINGTEMPLATE, "WP_CAPTIONSIZINGTEMPLATE", BF_LEFT | BF_TOP | BF_RIGHT},
      {WP_SMALLCAPTIONSIZINGTEMPLATE, "WP_SMALLCAPTIONSIZINGTEMPLATE", BF_LEFT | BF_TOP | BF_RIGHT},
      {WP_FRAMELEFTSIZINGTEMPLATE, "WP_FRAMELEFTSIZINGTEMPLATE", BF_LEFT},
      {WP_SMALLFRAMELEFTSIZINGTEMPLATE, "WP_SMALLFRAMELEFTSIZINGTEMPLATE", BF_LEFT},
      {WP_FRAMERIGHTSIZINGTEMPLATE, "WP_FRAMERIGHTSIZINGTEMPLATE", BF_RIGHT},
      {WP_SMALLFRAMERIGHTSIZINGTEMPLATE, "WP_SMALLFRAMERIGHTSIZINGTEMPLATE", BF_RIGHT},
      {WP_FRAMEBOTTOMSIZINGTEMPLATE, "WP_FRAMEBOTTOMSIZINGTEMPLATE", BF_BOTTOM},
      {WP_SMALLFRAMEBOTTOMSIZINGTEMPLATE, "WP_SMALLFRAMEBOTTOMSIZINGTEMPLATE", BF_BOTTOM}};
  for (const Template& t : templates) {
    PartDef p = Part(t.id, t.name);
    p.look = OneLook(L(WithAlpha(Rgb(128, 128, 128), 48), activeEdge));
    p.paint = SidesPaint(t.sides);
    p.sizing = {1, 1, 1, 1};
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(WP_FRAME, "WP_FRAME", {"active", "inactive"});
    p.look = Looks({L(0, activeEdge), L(0, inactiveEdge)});
    p.content = p.sizing = {1, 1, 1, 1};
    p.borderOnly = true;
    p.transparent = true;
    c.parts.push_back(p);
  }
  return c;
}

// ---- MENU ------------------------------------------------------------------------------------

ClassDef MenuClass() {
  ClassDef c{"Menu", {}};
  const Argb menuBack = Rgb(242, 242, 242), menuBorder = Rgb(204, 204, 204);
  // Popup items: normal, hot, disabled, disabled hot.
  const std::vector<Look> popupItem = {L(0, 0, Ink, Text), L(ItemSelected, 0, Ink, Text),
                                       L(0, 0, DisabledGlyph, Rgb(109, 109, 109)),
                                       L(Rgb(230, 230, 230), 0, DisabledGlyph, Rgb(109, 109, 109))};
  {
    PartDef p = Part(MENU_MENUITEM_TMSCHEMA, "MENU_MENUITEM_TMSCHEMA");
    p.look = OneLook(popupItem[0]);
    p.paint = NoPaint();
    p.transparent = true;
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(MENU_MENUDROPDOWN_TMSCHEMA, "MENU_MENUDROPDOWN_TMSCHEMA");
    p.look = OneLook(L(0, 0, Ink));
    p.paint = [](PaintCtx& pc) { Chevron(pc, GlyphBox(pc, 5, 9), Dir::Right, pc.look.glyph); };
    p.trueSize = {9, 9};
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(MENU_MENUBARITEM_TMSCHEMA, "MENU_MENUBARITEM_TMSCHEMA");
    p.look = OneLook(L(0, 0, Ink, Text));
    p.paint = NoPaint();
    p.transparent = true;
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(MENU_MENUBARDROPDOWN_TMSCHEMA, "MENU_MENUBARDROPDOWN_TMSCHEMA");
    p.look = OneLook(L(0, 0, Ink));
    p.paint = [](PaintCtx& pc) { Chevron(pc, GlyphBox(pc, 7), Dir::Down, pc.look.glyph); };
    p.trueSize = {9, 9};
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(MENU_CHEVRON_TMSCHEMA, "MENU_CHEVRON_TMSCHEMA");
    p.look = OneLook(L(0, 0, Ink));
    p.paint = [](PaintCtx& pc) { DoubleChevron(pc, GlyphBox(pc, 10), Dir::Right, pc.look.glyph); };
    p.trueSize = {14, 14};
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(MENU_SEPARATOR_TMSCHEMA, "MENU_SEPARATOR_TMSCHEMA");
    p.look = OneLook(L(0, 0, menuBorder));
    p.paint = [](PaintCtx& pc) { pc.c.FillRect(CenteredIn(pc.r, pc.r.W(), pc.Bw()), pc.look.glyph); };
    p.trueSize = {4, 9};
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(MENU_BARBACKGROUND, "MENU_BARBACKGROUND", {"active", "inactive"});
    p.look = Looks({L(Window), L(Rgb(248, 248, 248), 0, 0, Rgb(153, 153, 153))});
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(MENU_BARITEM, "MENU_BARITEM",
                     {"normal", "hot", "pushed", "disabled", "disabled hot", "disabled pushed"});
    p.look = Looks({L(0, 0, 0, Text), L(ItemHot, Rgb(204, 232, 255), 0, Text),
                    L(ItemSelected, ItemSelectedBorder, 0, Text), L(0, 0, 0, Rgb(109, 109, 109)),
                    L(Rgb(240, 240, 240), Rgb(224, 224, 224), 0, Rgb(109, 109, 109)),
                    L(Rgb(230, 230, 230), Rgb(214, 214, 214), 0, Rgb(109, 109, 109))});
    p.content = {6, 6, 2, 2};
    p.transparent = true;
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(MENU_POPUPBACKGROUND, "MENU_POPUPBACKGROUND");
    p.look = OneLook(L(menuBack));
    p.extraColors = {{TMT_EDGELIGHTCOLOR, menuBorder}, {TMT_EDGEHIGHLIGHTCOLOR, menuBack}};
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(MENU_POPUPBORDERS, "MENU_POPUPBORDERS");
    p.look = OneLook(L(0, menuBorder));
    p.content = p.sizing = {1, 1, 1, 1};
    p.borderOnly = true;
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(MENU_POPUPCHECK, "MENU_POPUPCHECK",
                     {"checkmark normal", "checkmark disabled", "bullet normal", "bullet disabled"});
    p.look = Looks({L(0, 0, Ink), L(0, 0, DisabledGlyph), L(0, 0, Ink), L(0, 0, DisabledGlyph)});
    p.paint = [](PaintCtx& pc) {
      RectF b = GlyphBox(pc, 12);
      if (pc.state >= MC_BULLETNORMAL && pc.state <= MC_BULLETDISABLED) {
        float d = std::round(b.W() / 2);
        pc.c.FillEllipse(CenteredIn(b, d, d), pc.look.glyph);
      } else {
        CheckMark(pc, b, pc.look.glyph);
      }
    };
    p.trueSize = p.minSize = {16, 16};
    p.sizingType = ST_TRUESIZE;
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p =
        Part(MENU_POPUPCHECKBACKGROUND, "MENU_POPUPCHECKBACKGROUND", {"disabled", "normal", "bitmap"});
    p.look = Looks({L(Rgb(240, 240, 240), Rgb(224, 224, 224)), L(ItemSelected, ItemSelectedBorder),
                    L(0, ItemSelectedBorder)});
    p.paint = FramePaint(2);
    p.trueSize = {22, 22};
    p.content = {3, 3, 3, 3};
    p.sizing = {3, 3, 3, 3};
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(MENU_POPUPGUTTER, "MENU_POPUPGUTTER");
    p.look = OneLook(L(0, Rgb(224, 224, 224)));
    p.paint = SidesPaint(BF_RIGHT);
    p.trueSize = {3, 3};
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(MENU_POPUPITEM, "MENU_POPUPITEM", {"normal", "hot", "disabled", "disabled hot"});
    p.look = Looks(popupItem);
    p.content = {4, 4, 2, 2};
    p.transparent = true;
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(MENU_POPUPSEPARATOR, "MENU_POPUPSEPARATOR");
    p.look = OneLook(L(0, 0, menuBorder));
    p.paint = [](PaintCtx& pc) { pc.c.FillRect(CenteredIn(pc.r, pc.r.W(), pc.Bw()), pc.look.glyph); };
    p.trueSize = {4, 9};
    p.minSize = {1, 1};
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(MENU_POPUPSUBMENU, "MENU_POPUPSUBMENU", {"normal", "disabled"});
    p.look = Looks({L(0, 0, Ink), L(0, 0, DisabledGlyph)});
    p.paint = [](PaintCtx& pc) { Chevron(pc, GlyphBox(pc, 5, 9), Dir::Right, pc.look.glyph); };
    p.trueSize = p.minSize = {9, 9};
    p.sizingType = ST_TRUESIZE;
    p.transparent = true;
    c.parts.push_back(p);
  }
  struct SysDef {
    int id;
    const char* name;
    Sym sym;
  } sys[] = {{MENU_SYSTEMCLOSE, "MENU_SYSTEMCLOSE", Sym::Close},
             {MENU_SYSTEMMAXIMIZE, "MENU_SYSTEMMAXIMIZE", Sym::Max},
             {MENU_SYSTEMMINIMIZE, "MENU_SYSTEMMINIMIZE", Sym::Min},
             {MENU_SYSTEMRESTORE, "MENU_SYSTEMRESTORE", Sym::Restore}};
  for (const SysDef& d : sys) {
    PartDef p = Part(d.id, d.name, {"normal", "disabled"});
    p.look = Looks({L(0, 0, Ink), L(0, 0, DisabledGlyph)});
    Sym sym = d.sym;
    p.paint = [sym](PaintCtx& pc) { Symbol(pc, GlyphBox(pc, 9), sym, pc.look.glyph); };
    p.trueSize = p.minSize = {16, 16};
    p.sizingType = ST_TRUESIZE;
    p.transparent = true;
    c.parts.push_back(p);
  }
  return c;
}

// ---- EXPLORERBAR -----------------------------------------------------------------------------

ClassDef ExplorerBarClass() {
  ClassDef c{"ExplorerBar", {}};
  const std::vector<std::string> three = {"normal", "hot", "pressed"};
  {
    PartDef p = Part(EBP_HEADERBACKGROUND, "EBP_HEADERBACKGROUND");
    p.look = OneLook(L(Rgb(245, 245, 245), Rgb(224, 224, 224), 0, Text));
    p.paint = [](PaintCtx& pc) {
      pc.c.FillRect(pc.r, pc.look.fill);
      pc.c.FillRect({pc.r.l, pc.r.b - pc.Bw(), pc.r.r, pc.r.b}, pc.look.border);
    };
    p.content = {6, 6, 3, 3};
    p.textPart = true;
    c.parts.push_back(p);
  }
  const std::vector<Look> smallButton = {L(0, 0, Glyph), L(Rgb(229, 229, 229), 0, GlyphHot),
                                         L(Rgb(204, 204, 204), 0, GlyphHot)};
  {
    PartDef p = Part(EBP_HEADERCLOSE, "EBP_HEADERCLOSE", three);
    p.look = Looks(smallButton);
    p.paint = WithGlyph(FramePaint(2), [](PaintCtx& pc) { Cross(pc, GlyphBox(pc, 7), pc.look.glyph); });
    p.trueSize = {16, 16};
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(EBP_HEADERPIN, "EBP_HEADERPIN",
                     {"normal", "hot", "pressed", "selected normal", "selected hot", "selected pressed"});
    p.look = Looks({smallButton[0], smallButton[1], smallButton[2], L(0, 0, Accent),
                    L(Rgb(229, 229, 229), 0, Accent), L(Rgb(204, 204, 204), 0, AccentPressed)});
    p.paint = WithGlyph(FramePaint(2), [](PaintCtx& pc) {
      // A push pin: upright when pinned (selected), lying down otherwise.
      bool pinned = pc.state >= EBHP_SELECTEDNORMAL;
      RectF b = GlyphBox(pc, 10);
      float t = pc.Bw();
      if (pinned) {
        pc.c.StrokeRoundRect({b.Cx() - b.W() * 0.2f, b.t, b.Cx() + b.W() * 0.2f, b.t + b.H() * 0.55f}, 0.0f,
                             t, pc.look.glyph);
        pc.c.FillRect({b.l + b.W() * 0.1f, b.t + b.H() * 0.55f, b.r - b.W() * 0.1f, b.t + b.H() * 0.55f + t},
                      pc.look.glyph);
        pc.c.FillRect({std::floor(b.Cx()), b.t + b.H() * 0.55f, std::floor(b.Cx()) + t, b.b}, pc.look.glyph);
      } else {
        pc.c.StrokeRoundRect({b.r - b.W() * 0.55f, b.Cy() - b.H() * 0.2f, b.r, b.Cy() + b.H() * 0.2f}, 0.0f,
                             t, pc.look.glyph);
        pc.c.FillRect({b.r - b.W() * 0.55f - t, b.t + b.H() * 0.1f, b.r - b.W() * 0.55f, b.b - b.H() * 0.1f},
                      pc.look.glyph);
        pc.c.FillRect({b.l, std::floor(b.Cy()), b.r - b.W() * 0.55f, std::floor(b.Cy()) + t}, pc.look.glyph);
      }
    });
    p.trueSize = {16, 16};
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(EBP_IEBARMENU, "EBP_IEBARMENU", three);
    p.look = Looks(smallButton);
    p.paint = WithGlyph(FramePaint(2),
                        [](PaintCtx& pc) { Chevron(pc, GlyphBox(pc, 7), Dir::Down, pc.look.glyph); });
    p.trueSize = {16, 16};
    p.transparent = true;
    c.parts.push_back(p);
  }
  struct Group {
    bool special;
    int background, collapse, expand, head;
  } groups[] = {
      {false, EBP_NORMALGROUPBACKGROUND, EBP_NORMALGROUPCOLLAPSE, EBP_NORMALGROUPEXPAND, EBP_NORMALGROUPHEAD},
      {true, EBP_SPECIALGROUPBACKGROUND, EBP_SPECIALGROUPCOLLAPSE, EBP_SPECIALGROUPEXPAND,
       EBP_SPECIALGROUPHEAD}};
  for (const Group& g : groups) {
    std::string prefix = g.special ? "EBP_SPECIALGROUP" : "EBP_NORMALGROUP";
    {
      PartDef p = Part(g.background, prefix + "BACKGROUND");
      p.look = OneLook(g.special ? L(Rgb(245, 249, 253), Rgb(214, 229, 245)) : L(Window, Rgb(224, 224, 224)));
      p.paint = SidesPaint(BF_LEFT | BF_RIGHT | BF_BOTTOM, 3, 4 | 8);
      p.content = {6, 6, 4, 6};
      p.sizing = {4, 4, 1, 4};
      p.transparent = true;
      p.textPart = true;
      c.parts.push_back(p);
    }
    for (bool expand : {false, true}) {
      PartDef p = Part(expand ? g.expand : g.collapse, prefix + (expand ? "EXPAND" : "COLLAPSE"), three);
      if (g.special)
        p.look = Looks({L(Accent, Accent, Window), L(AccentHot, AccentHot, Window),
                        L(AccentPressed, AccentPressed, Window)});
      else
        p.look = Looks({L(Window, Rgb(200, 200, 200), Glyph), L(HotFill, Accent, Accent),
                        L(PressedFill, AccentPressed, AccentPressed)});
      p.paint = [expand](PaintCtx& pc) {
        RectF b = GlyphBox(pc, 18);
        pc.c.FillEllipse(b, pc.look.fill);
        if (pc.look.border != pc.look.fill) pc.c.StrokeEllipse(b, pc.Bw(), pc.look.border);
        float g = std::round(b.W() * 0.45f);
        Chevron(pc, CenteredIn(b, g, g), expand ? Dir::Down : Dir::Up, pc.look.glyph);
      };
      p.trueSize = p.minSize = {18, 18};
      p.sizingType = ST_TRUESIZE;
      p.borderType = BT_ELLIPSE;
      p.transparent = true;
      c.parts.push_back(p);
    }
    {
      PartDef p = Part(g.head, prefix + "HEAD");
      p.look = OneLook(g.special ? L(Accent, 0, 0, Window)
                                 : L(Rgb(245, 245, 245), Rgb(224, 224, 224), 0, Rgb(30, 57, 91)));
      p.paint = SidesPaint(BF_LEFT | BF_TOP | BF_RIGHT, 3, 1 | 2);
      p.content = {8, 28, 4, 4};
      p.sizing = {4, 4, 4, 1};
      p.fontWeight = FW_BOLD;
      p.fontPoints = 9;
      p.transparent = true;
      p.textPart = true;
      c.parts.push_back(p);
    }
  }
  std::sort(c.parts.begin(), c.parts.end(), [](const PartDef& a, const PartDef& b) { return a.id < b.id; });
  return c;
}

// ---- TASKBAND, TASKBAR, CLOCK, TRAYNOTIFY ----------------------------------------------------

ClassDef TaskBandClass() {
  ClassDef c{"TaskBand", {}};
  {
    PartDef p = Part(TDP_GROUPCOUNT, "TDP_GROUPCOUNT");
    p.look = OneLook(L(Accent, 0, 0, Window));
    p.paint = FramePaint(8);
    p.trueSize = {16, 16};
    p.content = {4, 4, 1, 1};
    p.transparent = true;
    p.textPart = true;
    c.parts.push_back(p);
  }
  const Look flash = L(Rgb(247, 200, 110), Rgb(230, 170, 60), Ink, Text);
  {
    PartDef p = Part(TDP_FLASHBUTTON, "TDP_FLASHBUTTON");
    p.look = OneLook(flash);
    p.paint = FramePaint(2);
    p.content = {4, 4, 2, 2};
    p.transparent = true;
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(TDP_FLASHBUTTONGROUPMENU, "TDP_FLASHBUTTONGROUPMENU");
    p.look = OneLook(flash);
    p.paint = WithGlyph(FramePaint(2),
                        [](PaintCtx& pc) { Chevron(pc, GlyphBox(pc, 7), Dir::Down, pc.look.glyph); });
    p.transparent = true;
    c.parts.push_back(p);
  }
  return c;
}

ClassDef TaskBarClass() {
  ClassDef c{"TaskBar", {}};
  const Argb bar = Rgb(238, 238, 238), edge = Rgb(204, 204, 204);
  // The edge faces the desktop: the top of a bottom task bar, and so on.
  struct Def {
    int id;
    const char* name;
    unsigned edge;
  } backgrounds[] = {{TBP_BACKGROUNDBOTTOM, "TBP_BACKGROUNDBOTTOM", BF_TOP},
                     {TBP_BACKGROUNDRIGHT, "TBP_BACKGROUNDRIGHT", BF_LEFT},
                     {TBP_BACKGROUNDTOP, "TBP_BACKGROUNDTOP", BF_BOTTOM},
                     {TBP_BACKGROUNDLEFT, "TBP_BACKGROUNDLEFT", BF_RIGHT}},
    bars[] = {{TBP_SIZINGBARBOTTOM, "TBP_SIZINGBARBOTTOM", BF_TOP},
              {TBP_SIZINGBARRIGHT, "TBP_SIZINGBARRIGHT", BF_LEFT},
              {TBP_SIZINGBARTOP, "TBP_SIZINGBARTOP", BF_BOTTOM},
              {TBP_SIZINGBARLEFT, "TBP_SIZINGBARLEFT", BF_RIGHT}};
  for (const Def& d : backgrounds) {
    PartDef p = Part(d.id, d.name);
    p.look = OneLook(L(bar, edge, 0, Ink));
    p.paint = SidesPaint(d.edge);
    p.textPart = true;
    c.parts.push_back(p);
  }
  for (const Def& d : bars) {
    PartDef p = Part(d.id, d.name);
    p.look = OneLook(L(Rgb(224, 224, 224), Rgb(190, 190, 190)));
    p.paint = SidesPaint(d.edge);
    p.trueSize = (d.edge == BF_TOP || d.edge == BF_BOTTOM) ? SIZE{0, 3} : SIZE{3, 0};
    c.parts.push_back(p);
  }
  return c;
}

ClassDef ClockClass() {
  ClassDef c{"Clock", {}};
  PartDef p = Part(CLP_TIME, "CLP_TIME", {"normal", "hot", "pressed"});
  p.look = Looks({L(0, 0, 0, Ink), L(Rgb(229, 229, 229), 0, 0, Ink), L(Rgb(208, 208, 208), 0, 0, Ink)});
  p.paint = FramePaint(2);
  p.content = {4, 4, 2, 2};
  p.transparent = true;
  p.textPart = true;
  c.parts.push_back(p);
  return c;
}

ClassDef TrayNotifyClass() {
  ClassDef c{"TrayNotify", {}};
  {
    PartDef p = Part(TNP_BACKGROUND, "TNP_BACKGROUND");
    p.look = OneLook(L(Rgb(238, 238, 238), 0, 0, Ink));
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(TNP_ANIMBACKGROUND, "TNP_ANIMBACKGROUND");
    p.look = OneLook(L(Rgb(224, 224, 224), 0, 0, Ink));
    c.parts.push_back(p);
  }
  return c;
}

// ---- STARTPANEL ------------------------------------------------------------------------------

ClassDef StartPanelClass() {
  ClassDef c{"StartPanel", {}};
  const std::vector<std::string> three = {"normal", "hot", "pressed"};
  const std::vector<std::string> five = {"normal", "hot", "selected", "disabled", "focused"};
  const std::vector<Look> itemLooks = {
      L(0, 0, Glyph, Text), L(ItemHot, 0, GlyphHot, Text), L(ItemSelected, 0, GlyphHot, Text),
      L(0, 0, DisabledGlyph, TextDisabled), L(ItemSelected, ItemSelectedBorder, GlyphHot, Text)};
  auto fill = [&](int id, const char* name, Look look) {
    PartDef p = Part(id, name);
    p.look = OneLook(look);
    p.textPart = true;
    c.parts.push_back(p);
  };
  auto line = [&](int id, const char* name, Argb colour) {
    PartDef p = Part(id, name);
    p.look = OneLook(L(0, 0, colour));
    p.paint = [](PaintCtx& pc) {
      float inset = pc.Px(4);
      pc.c.FillRect(CenteredIn(pc.r.Inset(inset, 0), std::max(0.0f, pc.r.W() - 2 * inset), pc.Bw()),
                    pc.look.glyph);
    };
    p.trueSize = {0, 9};
    p.transparent = true;
    c.parts.push_back(p);
  };
  auto items = [&](int id, const char* name) {
    PartDef p = Part(id, name, five);
    p.look = Looks(itemLooks);
    p.paint = FramePaint(2);
    p.content = {4, 4, 2, 2};
    p.transparent = true;
    p.textPart = true;
    c.parts.push_back(p);
  };
  auto arrow = [&](int id, const char* name, Dir dir) {
    PartDef p = Part(id, name, three);
    p.look = Looks({L(0, 0, Accent), L(ItemHot, 0, AccentHot), L(ItemSelected, 0, AccentPressed)});
    p.paint =
        WithGlyph(FramePaint(2), [dir](PaintCtx& pc) { Arrow(pc, GlyphBox(pc, 10), dir, pc.look.glyph); });
    p.trueSize = {16, 16};
    p.transparent = true;
    c.parts.push_back(p);
  };
  fill(SPP_USERPANE, "SPP_USERPANE", L(Accent, 0, 0, Window));
  fill(SPP_MOREPROGRAMS, "SPP_MOREPROGRAMS", L(Rgb(245, 245, 245), 0, 0, Text));
  arrow(SPP_MOREPROGRAMSARROW, "SPP_MOREPROGRAMSARROW", Dir::Right);
  fill(SPP_PROGLIST, "SPP_PROGLIST", L(Window, 0, 0, Text));
  line(SPP_PROGLISTSEPARATOR, "SPP_PROGLISTSEPARATOR", Rgb(224, 224, 224));
  fill(SPP_PLACESLIST, "SPP_PLACESLIST", L(Face, 0, 0, Text));
  line(SPP_PLACESLISTSEPARATOR, "SPP_PLACESLISTSEPARATOR", Rgb(208, 208, 208));
  fill(SPP_LOGOFF, "SPP_LOGOFF", L(Rgb(232, 232, 232), 0, 0, Text));
  {
    PartDef p = Part(SPP_LOGOFFBUTTONS, "SPP_LOGOFFBUTTONS", three);
    p.look = Looks(
        {L(Raised, Border, Glyph), L(HotFill, HotBorder, GlyphHot), L(PressedFill, PressedBorder, GlyphHot)});
    p.paint = WithGlyph(FramePaint(3), [](PaintCtx& pc) {
      // A power symbol.
      RectF b = GlyphBox(pc, 10);
      float t = std::max(1.0f, 1.25f * pc.s);
      pc.c.StrokeEllipse(b, t, pc.look.glyph);
      float gap = std::round(b.W() * 0.3f);
      pc.c.FillRect({b.Cx() - gap / 2, b.t - t, b.Cx() + gap / 2, b.Cy()},
                    pc.look.fill ? pc.look.fill : Raised);
      pc.c.Line({b.Cx(), b.t - t / 2}, {b.Cx(), b.Cy()}, t, pc.look.glyph);
    });
    p.trueSize = {24, 24};
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(SPP_USERPICTURE, "SPP_USERPICTURE");
    p.look = OneLook(L(0, Rgb(200, 200, 200)));
    p.paint = [](PaintCtx& pc) {
      float rad = std::min(4 * pc.s, pc.r.W() / 2);
      pc.c.StrokeRoundRect(pc.r, rad, pc.Px(2), Window);
      pc.c.StrokeRoundRect(pc.r, rad, pc.Bw(), pc.look.border);
    };
    p.trueSize = {48, 48};
    p.content = {3, 3, 3, 3};
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(SPP_PREVIEW, "SPP_PREVIEW");
    p.look = OneLook(L(0, Rgb(224, 224, 224)));
    p.content = {1, 1, 1, 1};
    p.borderOnly = true;
    p.transparent = true;
    c.parts.push_back(p);
  }
  items(SPP_MOREPROGRAMSTAB, "SPP_MOREPROGRAMSTAB");
  fill(SPP_NSCHOST, "SPP_NSCHOST", L(Window, 0, 0, Text));
  items(SPP_SOFTWAREEXPLORER, "SPP_SOFTWAREEXPLORER");
  {
    PartDef p = Part(SPP_OPENBOX, "SPP_OPENBOX", five);
    p.look = Looks({L(Window, FieldBorder, 0, Text), L(Window, FieldBorderHot, 0, Text),
                    L(Window, Accent, 0, Text), L(DisabledFill, DisabledBorder, 0, TextDisabled),
                    L(Window, Accent, 0, Text)});
    p.content = p.sizing = {1, 1, 1, 1};
    p.textPart = true;
    c.parts.push_back(p);
  }
  fill(SPP_SEARCHVIEW, "SPP_SEARCHVIEW", L(Window, 0, 0, Text));
  arrow(SPP_MOREPROGRAMSARROWBACK, "SPP_MOREPROGRAMSARROWBACK", Dir::Left);
  {
    PartDef p = Part(SPP_TOPMATCH, "SPP_TOPMATCH");
    p.look = OneLook(L(ItemHot, Rgb(204, 232, 255), 0, Text));
    p.paint = FramePaint(2);
    p.content = {4, 4, 2, 2};
    p.transparent = true;
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(SPP_LOGOFFSPLITBUTTONDROPDOWN, "SPP_LOGOFFSPLITBUTTONDROPDOWN", three);
    p.look = Looks(
        {L(Raised, Border, Glyph), L(HotFill, HotBorder, GlyphHot), L(PressedFill, PressedBorder, GlyphHot)});
    p.paint = WithGlyph(FramePaint(3),
                        [](PaintCtx& pc) { Chevron(pc, GlyphBox(pc, 7), Dir::Right, pc.look.glyph); });
    p.trueSize = {16, 24};
    p.transparent = true;
    c.parts.push_back(p);
  }
  return c;
}

// ---- PAGE ------------------------------------------------------------------------------------

ClassDef PageClass() {
  ClassDef c{"Page", {}};
  struct Def {
    int id;
    const char* name;
    Dir dir;
  } defs[] = {{PGRP_UP, "PGRP_UP", Dir::Up},
              {PGRP_DOWN, "PGRP_DOWN", Dir::Down},
              {PGRP_UPHORZ, "PGRP_UPHORZ", Dir::Left},
              {PGRP_DOWNHORZ, "PGRP_DOWNHORZ", Dir::Right}};
  for (const Def& d : defs) {
    PartDef p = Part(d.id, d.name, FourStates());
    p.look =
        Looks({L(0, 0, Glyph), L(HotFill, 0, GlyphHot), L(PressedFill, 0, GlyphHot), L(0, 0, DisabledGlyph)});
    Dir dir = d.dir;
    p.paint =
        WithGlyph(FramePaint(0), [dir](PaintCtx& pc) { Chevron(pc, GlyphBox(pc, 7), dir, pc.look.glyph); });
    p.trueSize = {12, 12};
    p.transparent = true;
    c.parts.push_back(p);
  }
  return c;
}

// ---- TEXTSTYLE -------------------------------------------------------------------------------

ClassDef TextStyleClass() {
  ClassDef c{"TEXTSTYLE", {}};
  struct Def {
    int id;
    const char* name;
    int points;
    int weight;
    Argb colour;
  } defs[] = {{TEXT_MAININSTRUCTION, "TEXT_MAININSTRUCTION", 12, FW_NORMAL, Rgb(0, 51, 153)},
              {TEXT_INSTRUCTION, "TEXT_INSTRUCTION", 9, FW_NORMAL, Text},
              {TEXT_BODYTITLE, "TEXT_BODYTITLE", 9, FW_BOLD, Text},
              {TEXT_BODYTEXT, "TEXT_BODYTEXT", 9, FW_NORMAL, Text},
              {TEXT_SECONDARYTEXT, "TEXT_SECONDARYTEXT", 9, FW_NORMAL, TextSecondary},
              {TEXT_HYPERLINKTEXT, "TEXT_HYPERLINKTEXT", 9, FW_NORMAL, Link},
              {TEXT_EXPANDED, "TEXT_EXPANDED", 9, FW_NORMAL, Text},
              {TEXT_LABEL, "TEXT_LABEL", 9, FW_NORMAL, Text},
              {TEXT_CONTROLLABEL, "TEXT_CONTROLLABEL", 9, FW_NORMAL, Text}};
  for (const Def& d : defs) {
    PartDef p = Part(d.id, d.name);
    if (d.id == TEXT_HYPERLINKTEXT) {
      p.states = {"normal", "hot", "pressed", "disabled"};
      p.look = Looks({L(0, 0, 0, Link), L(0, 0, 0, LinkHot), L(0, 0, 0, Link), L(0, 0, 0, TextDisabled)});
    } else if (d.id == TEXT_CONTROLLABEL) {
      p.states = {"normal", "disabled"};
      p.look = Looks({L(0, 0, 0, Text), L(0, 0, 0, TextDisabled)});
    } else {
      p.look = OneLook(L(0, 0, 0, d.colour));
    }
    p.paint = NoPaint();
    p.fontPoints = d.points;
    p.fontWeight = d.weight;
    p.transparent = true;
    p.textPart = true;
    c.parts.push_back(p);
  }
  return c;
}

// ---- NAVIGATION ------------------------------------------------------------------------------

ClassDef NavigationClass() {
  ClassDef c{"Navigation", {}};
  const std::vector<Look> looks = {L(0, Rgb(200, 200, 200), Rgb(64, 64, 64)), L(HotFill, HotBorder, Accent),
                                   L(PressedFill, AccentPressed, AccentPressed),
                                   L(0, Rgb(224, 224, 224), DisabledGlyph)};
  for (int id : {NAV_BACKBUTTON, NAV_FORWARDBUTTON}) {
    bool back = id == NAV_BACKBUTTON;
    PartDef p = Part(id, back ? "NAV_BACKBUTTON" : "NAV_FORWARDBUTTON", FourStates());
    p.look = Looks(looks);
    p.paint = [back](PaintCtx& pc) {
      RectF b = GlyphBox(pc, 26);
      if (pc.look.fill) pc.c.FillEllipse(b, pc.look.fill);
      pc.c.StrokeEllipse(b, pc.Bw(), pc.look.border);
      float g = std::round(b.W() * 0.45f);
      Arrow(pc, CenteredIn(b, g, g), back ? Dir::Left : Dir::Right, pc.look.glyph);
    };
    p.trueSize = p.minSize = {28, 28};
    p.sizingType = ST_TRUESIZE;
    p.borderType = BT_ELLIPSE;
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(NAV_MENUBUTTON, "NAV_MENUBUTTON", FourStates());
    p.look = Looks({L(0, 0, Rgb(64, 64, 64)), L(HotFill, 0, Accent), L(PressedFill, 0, AccentPressed),
                    L(0, 0, DisabledGlyph)});
    p.paint = WithGlyph(FramePaint(2),
                        [](PaintCtx& pc) { Chevron(pc, GlyphBox(pc, 7), Dir::Down, pc.look.glyph); });
    p.trueSize = p.minSize = {14, 28};
    p.sizingType = ST_TRUESIZE;
    p.transparent = true;
    c.parts.push_back(p);
  }
  return c;
}

// ---- LINK, DATEPICKER ------------------------------------------------------------------------

ClassDef LinkClass() {
  ClassDef c{"Link", {}};
  PartDef p = Part(LP_HYPERLINK, "LP_HYPERLINK", {"normal text", "link text"});
  p.look = Looks({L(0, 0, 0, Text), L(0, 0, 0, Link)});
  p.paint = NoPaint();
  p.transparent = true;
  p.textPart = true;
  c.parts.push_back(p);
  return c;
}

ClassDef DatePickerClass() {
  ClassDef c{"DatePicker", {}};
  {
    PartDef p = Part(DP_DATETEXT, "DP_DATETEXT", {"normal", "disabled", "selected"});
    p.look = Looks({L(0, 0, 0, Text), L(0, 0, 0, TextDisabled), L(Accent, 0, 0, Window)});
    p.transparent = true;
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(DP_DATEBORDER, "DP_DATEBORDER", {"normal", "hot", "focused", "disabled"});
    p.look = Looks({L(Window, FieldBorder), L(Window, FieldBorderHot), L(Window, Accent),
                    L(DisabledFill, DisabledBorder, 0, TextDisabled)});
    p.content = p.sizing = {1, 1, 1, 1};
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(DP_SHOWCALENDARBUTTONRIGHT, "DP_SHOWCALENDARBUTTONRIGHT", FourStates());
    p.look =
        Looks({L(0, 0, Glyph), L(HotFill, 0, GlyphHot), L(PressedFill, 0, GlyphHot), L(0, 0, DisabledGlyph)});
    p.paint = WithGlyph(FramePaint(0), [](PaintCtx& pc) {
      // A small calendar page.
      RectF b = GlyphBox(pc, 12, 11);
      float t = pc.Bw();
      pc.c.StrokeRoundRect(b, 0.0f, t, pc.look.glyph);
      pc.c.FillRect({b.l, b.t, b.r, b.t + std::max(t, std::round(b.H() * 0.25f))}, pc.look.glyph);
      float d = std::max(1.0f, std::round(pc.s));
      for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col) {
          float x = b.l + std::round(b.W() * (0.25f + 0.25f * col)) - d / 2;
          float y = b.t + std::round(b.H() * (0.5f + 0.25f * row)) - d / 2;
          pc.c.FillRect({std::round(x), std::round(y), std::round(x) + d, std::round(y) + d}, pc.look.glyph);
        }
    });
    p.trueSize = {17, 0};
    p.transparent = true;
    c.parts.push_back(p);
  }
  return c;
}

}  // namespace qd::theme
