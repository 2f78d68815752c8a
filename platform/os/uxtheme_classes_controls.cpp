// The theme's input controls: buttons, check boxes and radio buttons, edits, combo boxes,
// spin buttons, scroll bars, progress bars and track bars.
#include <algorithm>
#include <cmath>

#include "platform/os/uxtheme_paint.h"

namespace qd::theme {

namespace {

using namespace pal;

const std::vector<std::string> kPushStates = {"normal",   "hot",       "pressed",
                                              "disabled", "defaulted", "defaulted animating"};

// The raised look of push buttons and button-like parts, by PBS_ state.
std::vector<Look> PushLooks() {
  return {L(Raised, Border, Glyph, Text),
          L(HotFill, HotBorder, GlyphHot, Text),
          L(PressedFill, PressedBorder, GlyphHot, Text),
          L(DisabledFill, DisabledBorder, DisabledGlyph, TextDisabled),
          L(Raised, Accent, Glyph, Text),
          L(Raised, Accent, Glyph, Text)};
}

// Input fields: normal, hot, focused, disabled.
Look FieldNormal() {
  return L(Window, FieldBorder, Glyph, Text);
}
Look FieldHot() {
  return L(Window, FieldBorderHot, Glyph, Text);
}
Look FieldFocused() {
  return L(Window, Accent, Glyph, Text);
}
Look FieldDisabled() {
  return L(DisabledFill, DisabledBorder, DisabledGlyph, TextDisabled);
}
constexpr Argb kReadOnlyFill = Rgb(247, 247, 247);
constexpr Argb kAssistFill = Rgb(255, 255, 225);

PaintFn DefaultedPush() {
  // The default button: the accent border with a light inner ring.
  PaintFn frame = FramePaint(3);
  return [frame](PaintCtx& p) {
    frame(p);
    if ((p.state == PBS_DEFAULTED || p.state == PBS_DEFAULTED_ANIMATING) && !p.omitBorder) {
      float bw = p.Bw();
      float rad = std::max(0.0f, std::min({3 * p.s, p.r.W() / 2, p.r.H() / 2}) - bw);
      p.c.StrokeRoundRect(p.r.Inset(bw), rad, bw, PressedFill);
    }
  };
}

// ---- Check boxes and radio buttons -------------------------------------------------------------

enum class Mark { None, Check, Mixed, Implicit, Excluded };

struct BoxState {
  Mark mark = Mark::None;
  int mode = 0;  // 0 normal, 1 hot, 2 pressed, 3 disabled
};

BoxState CheckBoxState(int state) {
  if (state < 1 || state > 20) state = 1;
  static const Mark marks[] = {Mark::None, Mark::Check, Mark::Mixed, Mark::Implicit, Mark::Excluded};
  return {marks[(state - 1) / 4], (state - 1) % 4};
}

// Filled (accent) for checked and mixed, outlined otherwise.
Look BoxLook(const BoxState& b) {
  bool filled = b.mark == Mark::Check || b.mark == Mark::Mixed;
  if (filled) {
    static const Argb fills[] = {Accent, AccentHot, AccentPressed, Rgb(198, 198, 198)};
    return L(fills[b.mode], fills[b.mode], Window, b.mode == 3 ? TextDisabled : Text);
  }
  static const Look outlined[] = {L(Window, ControlBorder, Glyph, Text), L(Window, Accent, Accent, Text),
                                  L(PressedFill, AccentPressed, AccentPressed, Text),
                                  L(DisabledFill, Rgb(204, 204, 204), DisabledGlyph, TextDisabled)};
  return outlined[b.mode];
}

void PaintCheckBox(PaintCtx& p, const BoxState& b) {
  RectF box = GlyphBox(p, 13);
  if (box.Empty()) return;
  float bw = p.Bw();
  float rad = std::min(2.0f * p.s, box.W() / 2);
  const Look& l = p.look;
  p.c.FillRoundRect(box, rad, l.fill);
  if (l.border != l.fill) p.c.StrokeRoundRect(box, rad, bw, l.border);
  RectF in = box.Inset(std::round(box.W() * 0.2f));
  switch (b.mark) {
    case Mark::Check:
      CheckMark(p, box.Inset(bw), l.glyph);
      break;
    case Mark::Mixed:
      Dash(p, box, l.glyph);
      break;
    case Mark::Implicit:
      CheckMark(p, box.Inset(bw), WithAlpha(l.glyph == Glyph ? Glyph : l.glyph, 150));
      break;
    case Mark::Excluded:
      Cross(p, in, l.glyph == Glyph ? Rgb(160, 160, 160) : l.glyph);
      break;
    case Mark::None:
      break;
  }
}

void PaintRadio(PaintCtx& p, bool checked) {
  RectF box = GlyphBox(p, 13);
  if (box.Empty()) return;
  const Look& l = p.look;
  p.c.FillEllipse(box, l.fill);
  if (l.border != l.fill) p.c.StrokeEllipse(box, p.Bw(), l.border);
  if (checked) {
    float d = std::round(box.W() * 5 / 13);
    if (p.state == RBS_CHECKEDHOT) d = std::round(box.W() * 6 / 13);
    if (p.state == RBS_CHECKEDPRESSED) d = std::round(box.W() * 4 / 13);
    p.c.FillEllipse(CenteredIn(box, d, d), l.glyph);
  }
}

std::vector<std::string> CheckBoxStateNames() {
  std::vector<std::string> v;
  for (const char* mark : {"unchecked", "checked", "mixed", "implicit", "excluded"})
    for (const char* mode : {"normal", "hot", "pressed", "disabled"})
      v.push_back(std::string(mark) + " " + mode);
  return v;
}

PartDef CheckBoxPart(int id, std::string name, bool highContrastDisabled) {
  PartDef p = Part(id, std::move(name),
                   highContrastDisabled ? std::vector<std::string>{"disabled"} : CheckBoxStateNames());
  p.trueSize = p.minSize = {13, 13};
  p.sizingType = ST_TRUESIZE;
  p.transparent = true;
  p.borderType = BT_ROUNDRECT;
  p.radius = 2;
  p.textPart = false;
  auto stateOf = [highContrastDisabled](int state) {
    return highContrastDisabled ? BoxState{Mark::None, 3} : CheckBoxState(state);
  };
  p.look = [stateOf](int state) { return BoxLook(stateOf(state)); };
  p.paint = [stateOf](PaintCtx& pc) { PaintCheckBox(pc, stateOf(pc.state)); };
  return p;
}

PartDef RadioPart(int id, std::string name, bool highContrastDisabled) {
  std::vector<std::string> states = {"unchecked normal",   "unchecked hot",   "unchecked pressed",
                                     "unchecked disabled", "checked normal",  "checked hot",
                                     "checked pressed",    "checked disabled"};
  PartDef p = Part(id, std::move(name), highContrastDisabled ? std::vector<std::string>{"disabled"} : states);
  p.trueSize = p.minSize = {13, 13};
  p.sizingType = ST_TRUESIZE;
  p.transparent = true;
  p.borderType = BT_ELLIPSE;
  auto stateOf = [highContrastDisabled](int state) {
    if (highContrastDisabled) return BoxState{Mark::None, 3};
    if (state < 1 || state > 8) state = 1;
    return BoxState{state > 4 ? Mark::Check : Mark::None, (state - 1) % 4};
  };
  p.look = [stateOf](int state) {
    BoxState b = stateOf(state);
    Look l = BoxLook(b);
    if (b.mark == Mark::Check) l.glyph = Window;
    return l;
  };
  p.paint = [stateOf](PaintCtx& pc) { PaintRadio(pc, stateOf(pc.state).mark == Mark::Check); };
  return p;
}

}  // namespace

// ---- BUTTON ----------------------------------------------------------------------------------

ClassDef ButtonClass() {
  ClassDef c{"Button", {}};
  {
    PartDef p = Part(BP_PUSHBUTTON, "BP_PUSHBUTTON", kPushStates);
    p.look = Looks(PushLooks());
    p.paint = DefaultedPush();
    p.borderType = BT_ROUNDRECT;
    p.radius = 3;
    p.transparent = true;
    p.content = {3, 3, 3, 3};
    p.sizing = {4, 4, 4, 4};
    p.minSize = {8, 8};
    p.textPart = true;
    c.parts.push_back(p);
  }
  c.parts.push_back(RadioPart(BP_RADIOBUTTON, "BP_RADIOBUTTON", false));
  c.parts.push_back(CheckBoxPart(BP_CHECKBOX, "BP_CHECKBOX", false));
  {
    PartDef p = Part(BP_GROUPBOX, "BP_GROUPBOX", {"normal", "disabled"});
    p.look = Looks({L(0, Rgb(220, 220, 220), 0, Text), L(0, Rgb(232, 232, 232), 0, TextDisabled)});
    p.paint = FramePaint(3);
    p.borderType = BT_ROUNDRECT;
    p.radius = 3;
    p.transparent = true;
    p.borderOnly = true;
    p.content = {4, 4, 4, 4};
    p.sizing = {4, 4, 4, 4};
    p.minSize = {8, 8};
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(BP_USERBUTTON, "BP_USERBUTTON");
    p.look = OneLook(PushLooks()[0]);
    p.paint = FramePaint(3);
    p.borderType = BT_ROUNDRECT;
    p.radius = 3;
    p.transparent = true;
    p.content = {3, 3, 3, 3};
    p.sizing = {4, 4, 4, 4};
    p.minSize = {8, 8};
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(BP_COMMANDLINK, "BP_COMMANDLINK", kPushStates);
    p.look = Looks({L(0, 0, 0, AccentDark), L(HotFill, Rgb(214, 232, 250), 0, Accent),
                    L(PressedFill, HotBorder, 0, AccentDark), L(0, 0, 0, TextDisabled),
                    L(0, Accent, 0, AccentDark), L(0, Accent, 0, AccentDark)});
    p.paint = FramePaint(3);
    p.borderType = BT_ROUNDRECT;
    p.radius = 3;
    p.transparent = true;
    p.content = {9, 9, 9, 9};
    p.sizing = {4, 4, 4, 4};
    p.minSize = {8, 8};
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(BP_COMMANDLINKGLYPH, "BP_COMMANDLINKGLYPH",
                     {"normal", "hot", "pressed", "disabled", "defaulted"});
    p.look = Looks({L(0, 0, Accent), L(0, 0, AccentHot), L(0, 0, AccentPressed), L(0, 0, DisabledGlyph),
                    L(0, 0, Accent)});
    p.paint = [](PaintCtx& pc) { Arrow(pc, GlyphBox(pc, 12), Dir::Right, pc.look.glyph); };
    p.trueSize = p.minSize = {20, 20};
    p.sizingType = ST_TRUESIZE;
    p.transparent = true;
    p.textPart = false;
    c.parts.push_back(p);
  }
  c.parts.push_back(RadioPart(BP_RADIOBUTTON_HCDISABLED, "BP_RADIOBUTTON_HCDISABLED", true));
  c.parts.push_back(CheckBoxPart(BP_CHECKBOX_HCDISABLED, "BP_CHECKBOX_HCDISABLED", true));
  {
    PartDef p = Part(BP_GROUPBOX_HCDISABLED, "BP_GROUPBOX_HCDISABLED");
    p.look = OneLook(L(0, Rgb(232, 232, 232), 0, TextDisabled));
    p.paint = FramePaint(3);
    p.borderType = BT_ROUNDRECT;
    p.radius = 3;
    p.transparent = true;
    p.borderOnly = true;
    p.content = {4, 4, 4, 4};
    p.sizing = {4, 4, 4, 4};
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(BP_PUSHBUTTONDROPDOWN, "BP_PUSHBUTTONDROPDOWN", {"normal", "disabled"});
    p.look = Looks({L(0, 0, Glyph), L(0, 0, DisabledGlyph)});
    p.paint = [](PaintCtx& pc) { Chevron(pc, GlyphBox(pc, 8), Dir::Down, pc.look.glyph); };
    p.trueSize = p.minSize = {10, 10};
    p.sizingType = ST_TRUESIZE;
    p.transparent = true;
    c.parts.push_back(p);
  }
  return c;
}

// ---- EDIT ------------------------------------------------------------------------------------

ClassDef EditClass() {
  ClassDef c{"Edit", {}};
  auto field = [](PartDef p) {
    p.paint = FramePaint(0);
    p.content = {1, 1, 1, 1};
    p.sizing = {1, 1, 1, 1};
    p.minSize = {2, 2};
    p.textPart = true;
    return p;
  };
  {
    PartDef p =
        Part(EP_EDITTEXT, "EP_EDITTEXT",
             {"normal", "hot", "selected", "disabled", "focused", "read-only", "assist", "cue banner"});
    p.look = Looks({FieldNormal(), FieldHot(), FieldFocused(), FieldDisabled(), FieldFocused(),
                    L(kReadOnlyFill, FieldBorder, Glyph, Text), L(kAssistFill, FieldBorder, Glyph, Text),
                    L(Window, FieldBorder, Glyph, TextSecondary)});
    c.parts.push_back(field(p));
  }
  {
    PartDef p = Part(EP_CARET, "EP_CARET");
    p.look = OneLook(L(Ink));
    p.trueSize = {1, 16};
    p.minSize = {1, 1};
    c.parts.push_back(p);
  }
  {
    PartDef p =
        Part(EP_BACKGROUND, "EP_BACKGROUND", {"normal", "hot", "disabled", "focused", "read-only", "assist"});
    p.look = Looks({L(Window), L(Window), L(DisabledFill, 0, 0, TextDisabled), L(Window), L(kReadOnlyFill),
                    L(kAssistFill)});
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(EP_PASSWORD, "EP_PASSWORD");
    p.look = OneLook(L(0, 0, Ink));
    p.paint = [](PaintCtx& pc) { pc.c.FillEllipse(GlyphBox(pc, 6), pc.look.glyph); };
    p.trueSize = p.minSize = {7, 7};
    p.sizingType = ST_TRUESIZE;
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p =
        Part(EP_BACKGROUNDWITHBORDER, "EP_BACKGROUNDWITHBORDER", {"normal", "hot", "disabled", "focused"});
    p.look = Looks({FieldNormal(), FieldHot(), FieldDisabled(), FieldFocused()});
    c.parts.push_back(field(p));
  }
  // The border parts also answer the edit-text numbering for focused (5) and read-only (6).
  LookFn borderLook = [](int state) {
    switch (state) {
      case 2:
        return FieldHot();
      case 3:
      case 5:
        return FieldFocused();
      case 4:
        return FieldDisabled();
      case 6:
        return L(kReadOnlyFill, FieldBorder, Glyph, Text);
      default:
        return FieldNormal();
    }
  };
  const char* borderNames[] = {"EP_EDITBORDER_NOSCROLL", "EP_EDITBORDER_HSCROLL", "EP_EDITBORDER_VSCROLL",
                               "EP_EDITBORDER_HVSCROLL"};
  for (int i = 0; i < 4; ++i) {
    PartDef p = Part(EP_EDITBORDER_NOSCROLL + i, borderNames[i], {"normal", "hot", "focused", "disabled"});
    p.look = borderLook;
    c.parts.push_back(field(p));
  }
  return c;
}

// ---- COMBOBOX --------------------------------------------------------------------------------

ClassDef ComboBoxClass() {
  ClassDef c{"ComboBox", {}};
  // The drop-down button lies inside the field's border: a fill when hot or pressed, a chevron.
  auto button = [](int id, std::string name) {
    PartDef p = Part(id, std::move(name), FourStates());
    p.look =
        Looks({L(0, FieldBorder, Glyph), L(HotFill, FieldBorder, GlyphHot),
               L(PressedFill, FieldBorder, GlyphHot), L(0, DisabledBorder, DisabledGlyph, TextDisabled)});
    p.paint = [](PaintCtx& pc) {
      if (pc.look.fill && !pc.omitContent) pc.c.FillRect(pc.r, pc.look.fill);
      Chevron(pc, GlyphBox(pc, 8), Dir::Down, pc.look.glyph);
    };
    p.trueSize = {17, 17};
    p.minSize = {5, 5};
    p.transparent = true;
    return p;
  };
  c.parts.push_back(button(CP_DROPDOWNBUTTON, "CP_DROPDOWNBUTTON"));
  {
    PartDef p = Part(CP_BACKGROUND, "CP_BACKGROUND");
    p.look = OneLook(L(Window));
    c.parts.push_back(p);
  }
  {
    PartDef p =
        Part(CP_TRANSPARENTBACKGROUND, "CP_TRANSPARENTBACKGROUND", {"normal", "hot", "disabled", "focused"});
    p.look = Looks({L(WithAlpha(Window, 160), FieldBorder), L(WithAlpha(Window, 200), FieldBorderHot),
                    L(WithAlpha(DisabledFill, 160), DisabledBorder, 0, TextDisabled),
                    L(WithAlpha(Window, 220), Accent)});
    p.content = p.sizing = {1, 1, 1, 1};
    p.transparent = true;
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(CP_BORDER, "CP_BORDER", {"normal", "hot", "focused", "disabled"});
    p.look = Looks({FieldNormal(), FieldHot(), FieldFocused(), FieldDisabled()});
    p.content = p.sizing = {1, 1, 1, 1};
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(CP_READONLY, "CP_READONLY", FourStates());
    p.look = Looks(PushLooks());
    p.paint = FramePaint(2);
    p.borderType = BT_ROUNDRECT;
    p.radius = 2;
    p.transparent = true;
    p.content = {3, 3, 3, 3};
    p.sizing = {3, 3, 3, 3};
    p.textPart = true;
    c.parts.push_back(p);
  }
  c.parts.push_back(button(CP_DROPDOWNBUTTONRIGHT, "CP_DROPDOWNBUTTONRIGHT"));
  c.parts.push_back(button(CP_DROPDOWNBUTTONLEFT, "CP_DROPDOWNBUTTONLEFT"));
  {
    PartDef p = Part(CP_CUEBANNER, "CP_CUEBANNER", FourStates());
    p.look = Looks({L(Window, FieldBorder, 0, TextSecondary), L(Window, FieldBorderHot, 0, TextSecondary),
                    L(Window, Accent, 0, TextSecondary), L(DisabledFill, DisabledBorder, 0, TextDisabled)});
    p.content = p.sizing = {1, 1, 1, 1};
    p.textPart = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(CP_DROPDOWNITEM, "CP_DROPDOWNITEM", {"normal", "highlighted"});
    p.look = Looks({L(0), L(ItemSelected)});
    p.transparent = true;
    p.textPart = true;
    c.parts.push_back(p);
  }
  return c;
}

// ---- SPIN ------------------------------------------------------------------------------------

ClassDef SpinClass() {
  ClassDef c{"Spin", {}};
  struct Def {
    int id;
    const char* name;
    Dir dir;
  } defs[] = {{SPNP_UP, "SPNP_UP", Dir::Up},
              {SPNP_DOWN, "SPNP_DOWN", Dir::Down},
              {SPNP_UPHORZ, "SPNP_UPHORZ", Dir::Right},
              {SPNP_DOWNHORZ, "SPNP_DOWNHORZ", Dir::Left}};
  for (const Def& d : defs) {
    PartDef p = Part(d.id, d.name, FourStates());
    p.look = Looks({L(Rgb(246, 246, 246), Border, Glyph), L(HotFill, HotBorder, GlyphHot),
                    L(PressedFill, PressedBorder, GlyphHot), L(DisabledFill, DisabledBorder, DisabledGlyph)});
    Dir dir = d.dir;
    p.paint = WithGlyph(FramePaint(0), [dir](PaintCtx& pc) {
      RectF in = pc.r.Inset(pc.Bw());
      float size =
          std::min({7.0f * pc.s, in.W() - 2, (dir == Dir::Up || dir == Dir::Down ? in.H() : in.W()) * 2 - 2});
      if (size <= 0) return;
      Chevron(pc, CenteredIn(in, std::round(size), std::round(size)), dir, pc.look.glyph);
    });
    bool vertical = d.dir == Dir::Up || d.dir == Dir::Down;
    p.trueSize = vertical ? SIZE{16, 11} : SIZE{11, 16};
    p.minSize = {4, 4};
    p.content = p.sizing = {1, 1, 1, 1};
    c.parts.push_back(p);
  }
  return c;
}

// ---- SCROLLBAR -------------------------------------------------------------------------------

ClassDef ScrollBarClass() {
  ClassDef c{"ScrollBar", {}};
  {
    std::vector<std::string> names;
    for (const char* dir : {"up", "down", "left", "right"})
      for (const char* mode : {"normal", "hot", "pressed", "disabled"})
        names.push_back(std::string(dir) + " " + mode);
    for (const char* dir : {"up", "down", "left", "right"}) names.push_back(std::string(dir) + " hover");
    PartDef p = Part(SBP_ARROWBTN, "SBP_ARROWBTN", names);
    p.look = [](int state) {
      if (state < 1 || state > 20) state = 1;
      if (state > 16) return L(Track, 0, Rgb(64, 64, 64));
      static const Look modes[] = {L(Track, 0, Glyph), L(Rgb(218, 218, 218), 0, Ink),
                                   L(Rgb(96, 96, 96), 0, Window), L(Track, 0, DisabledGlyph)};
      return modes[(state - 1) % 4];
    };
    p.paint = WithGlyph(FramePaint(0), [](PaintCtx& pc) {
      int s = pc.state < 1 || pc.state > 20 ? 1 : pc.state;
      static const Dir dirs[] = {Dir::Up, Dir::Down, Dir::Left, Dir::Right};
      Dir d = s > 16 ? dirs[s - 17] : dirs[(s - 1) / 4];
      bool vertical = d == Dir::Up || d == Dir::Down;
      RectF box = vertical ? GlyphBox(pc, 8, 4) : GlyphBox(pc, 4, 8);
      Triangle(pc, box, d, pc.look.glyph);
    });
    p.trueSize = {17, 17};
    p.minSize = {5, 5};
    c.parts.push_back(p);
  }
  const std::vector<std::string> barStates = {"normal", "hot", "pressed", "disabled", "hover"};
  for (int id : {SBP_THUMBBTNHORZ, SBP_THUMBBTNVERT}) {
    bool horizontal = id == SBP_THUMBBTNHORZ;
    PartDef p = Part(id, horizontal ? "SBP_THUMBBTNHORZ" : "SBP_THUMBBTNVERT", barStates);
    p.look = Looks({L(Rgb(205, 205, 205)), L(Rgb(166, 166, 166)), L(Rgb(96, 96, 96)), L(Rgb(225, 225, 225)),
                    L(Rgb(192, 192, 192))});
    p.paint = [horizontal](PaintCtx& pc) {
      if (pc.omitContent) return;
      float inset = std::min(pc.Px(2), std::floor(((horizontal ? pc.r.H() : pc.r.W()) - 1) / 2));
      RectF r = horizontal ? pc.r.Inset(0, inset) : pc.r.Inset(inset, 0);
      pc.c.FillRect(r, pc.look.fill);
    };
    p.trueSize = {17, 17};
    p.minSize = horizontal ? SIZE{8, 17} : SIZE{17, 8};
    p.transparent = true;
    c.parts.push_back(p);
  }
  const char* trackNames[] = {"SBP_LOWERTRACKHORZ", "SBP_UPPERTRACKHORZ", "SBP_LOWERTRACKVERT",
                              "SBP_UPPERTRACKVERT"};
  for (int i = 0; i < 4; ++i) {
    PartDef p = Part(SBP_LOWERTRACKHORZ + i, trackNames[i], barStates);
    p.look = Looks({L(Track), L(Rgb(234, 234, 234)), L(Rgb(218, 218, 218)), L(Rgb(244, 244, 244)), L(Track)});
    p.trueSize = {17, 17};
    p.minSize = {1, 1};
    c.parts.push_back(p);
  }
  for (int id : {SBP_GRIPPERHORZ, SBP_GRIPPERVERT}) {
    bool horizontal = id == SBP_GRIPPERHORZ;
    PartDef p = Part(id, horizontal ? "SBP_GRIPPERHORZ" : "SBP_GRIPPERVERT", barStates);
    p.look = Looks({L(0, 0, Rgb(150, 150, 150)), L(0, 0, Rgb(110, 110, 110)), L(0, 0, Rgb(218, 218, 218)),
                    L(0, 0, Rgb(208, 208, 208)), L(0, 0, Rgb(140, 140, 140))});
    p.paint = [horizontal](PaintCtx& pc) {
      // Three short lines across the thumb.
      RectF box = GlyphBox(pc, 8, 8);
      float t = pc.Px(1), gap = pc.Px(2);
      float len = std::round(box.W() * 0.75f);
      for (int i = -1; i <= 1; ++i) {
        float off = i * (t + gap);
        RectF line = horizontal ? CenteredIn(box, t, len) : CenteredIn(box, len, t);
        if (horizontal) {
          line.l += off, line.r += off;
        } else {
          line.t += off, line.b += off;
        }
        pc.c.FillRect(line, pc.look.glyph);
      }
    };
    p.trueSize = p.minSize = {8, 8};
    p.sizingType = ST_TRUESIZE;
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p =
        Part(SBP_SIZEBOX, "SBP_SIZEBOX",
             {"right align", "left align", "top right align", "top left align", "half bottom right align",
              "half bottom left align", "half top right align", "half top left align"});
    p.look = OneLook(L(0, 0, Rgb(160, 160, 160)));
    p.paint = [](PaintCtx& pc) {
      int s = pc.state < 1 || pc.state > 8 ? 1 : pc.state;
      int corner = (s - 1) % 4;
      bool half = s > 4;
      bool right = corner == 0 || corner == 2, bottom = corner < 2;
      RectF box = pc.r;
      if (half) box = bottom ? RectF{box.l, box.Cy(), box.r, box.b} : RectF{box.l, box.t, box.r, box.Cy()};
      GripDots(pc, box, right, bottom, pc.look.glyph);
    };
    p.trueSize = {17, 17};
    p.minSize = {8, 8};
    p.transparent = true;
    c.parts.push_back(p);
  }
  {
    PartDef p = Part(SBP_SIZEBOXBKGND, "SBP_SIZEBOXBKGND", {"normal", "hot"});
    p.look = Looks({L(Track), L(Rgb(234, 234, 234))});
    p.trueSize = {17, 17};
    c.parts.push_back(p);
  }
  return c;
}

// ---- PROGRESS --------------------------------------------------------------------------------

ClassDef ProgressClass() {
  ClassDef c{"Progress", {}};
  const Look bar = L(Rgb(230, 230, 230), Rgb(188, 188, 188));
  for (int id : {PP_BAR, PP_BARVERT}) {
    PartDef p = Part(id, id == PP_BAR ? "PP_BAR" : "PP_BARVERT");
    p.look = OneLook(bar);
    p.content = p.sizing = {1, 1, 1, 1};
    p.minSize = {3, 3};
    c.parts.push_back(p);
  }
  for (int id : {PP_CHUNK, PP_CHUNKVERT}) {
    PartDef p = Part(id, id == PP_CHUNK ? "PP_CHUNK" : "PP_CHUNKVERT");
    p.look = OneLook(L(Accent));
    c.parts.push_back(p);
  }
  for (int id : {PP_FILL, PP_FILLVERT}) {
    PartDef p = Part(id, id == PP_FILL ? "PP_FILL" : "PP_FILLVERT", {"normal", "error", "paused", "partial"});
    p.look = Looks({L(Accent), L(Rgb(218, 38, 38)), L(Rgb(218, 165, 32)), L(Rgb(102, 174, 231))});
    c.parts.push_back(p);
  }
  struct Overlay {
    int id;
    const char* name;
    bool vertical;
    int peak;
  } overlays[] = {{PP_PULSEOVERLAY, "PP_PULSEOVERLAY", false, 90},
                  {PP_MOVEOVERLAY, "PP_MOVEOVERLAY", false, 150},
                  {PP_PULSEOVERLAYVERT, "PP_PULSEOVERLAYVERT", true, 90},
                  {PP_MOVEOVERLAYVERT, "PP_MOVEOVERLAYVERT", true, 150}};
  for (const Overlay& o : overlays) {
    PartDef p = Part(o.id, o.name);
    p.look = OneLook(L(WithAlpha(Window, o.peak)));
    bool vertical = o.vertical;
    int peak = o.peak;
    // A soft sheen: white fading in and out along the bar.
    p.paint = [vertical, peak](PaintCtx& pc) {
      int n = static_cast<int>(vertical ? pc.r.H() : pc.r.W());
      for (int i = 0; i < n; ++i) {
        float t = (i + 0.5f) / static_cast<float>(n);
        float a = std::sin(t * 3.14159265f);
        int alpha = static_cast<int>(std::lround(peak * a * a));
        if (alpha <= 0) continue;
        RectF line = vertical ? RectF{pc.r.l, static_cast<float>(i), pc.r.r, static_cast<float>(i + 1)}
                              : RectF{static_cast<float>(i), pc.r.t, static_cast<float>(i + 1), pc.r.b};
        pc.c.FillRect(line, WithAlpha(Window, alpha));
      }
    };
    p.trueSize = vertical ? SIZE{15, 60} : SIZE{60, 15};
    p.transparent = true;
    c.parts.push_back(p);
  }
  for (int id : {PP_TRANSPARENTBAR, PP_TRANSPARENTBARVERT}) {
    PartDef p = Part(id, id == PP_TRANSPARENTBAR ? "PP_TRANSPARENTBAR" : "PP_TRANSPARENTBARVERT",
                     {"normal", "partial"});
    p.look =
        Looks({L(WithAlpha(Window, 128), Rgb(188, 188, 188)), L(WithAlpha(Window, 64), Rgb(200, 200, 200))});
    p.content = p.sizing = {1, 1, 1, 1};
    p.transparent = true;
    c.parts.push_back(p);
  }
  return c;
}

// ---- TRACKBAR --------------------------------------------------------------------------------

ClassDef TrackBarClass() {
  ClassDef c{"TrackBar", {}};
  for (int id : {TKP_TRACK, TKP_TRACKVERT}) {
    PartDef p = Part(id, id == TKP_TRACK ? "TKP_TRACK" : "TKP_TRACKVERT");
    p.look = OneLook(L(Rgb(231, 231, 231), Rgb(214, 214, 214)));
    p.content = p.sizing = {1, 1, 1, 1};
    p.trueSize = id == TKP_TRACK ? SIZE{0, 4} : SIZE{4, 0};
    p.minSize = {2, 2};
    p.textPart = true;
    c.parts.push_back(p);
  }
  const std::vector<std::string> thumbStates = {"normal", "hot", "pressed", "focused", "disabled"};
  LookFn thumbLook = Looks({L(Accent, Accent), L(AccentHot, AccentHot), L(AccentPressed, AccentPressed),
                            L(Accent, Rgb(0, 62, 115)), L(Rgb(198, 198, 198), Rgb(198, 198, 198))});
  // The pointed end of a thumb, if any.
  enum class Point { None, Up, Down, Left, Right };
  struct Def {
    int id;
    const char* name;
    Point point;
    bool vertical;
  } defs[] = {{TKP_THUMB, "TKP_THUMB", Point::None, false},
              {TKP_THUMBBOTTOM, "TKP_THUMBBOTTOM", Point::Down, false},
              {TKP_THUMBTOP, "TKP_THUMBTOP", Point::Up, false},
              {TKP_THUMBVERT, "TKP_THUMBVERT", Point::None, true},
              {TKP_THUMBLEFT, "TKP_THUMBLEFT", Point::Left, true},
              {TKP_THUMBRIGHT, "TKP_THUMBRIGHT", Point::Right, true}};
  for (const Def& d : defs) {
    PartDef p = Part(d.id, d.name, thumbStates);
    p.look = thumbLook;
    Point point = d.point;
    bool vertical = d.vertical;
    p.paint = [point, vertical](PaintCtx& pc) {
      RectF b = vertical ? GlyphBox(pc, 20, 11) : GlyphBox(pc, 11, 20);
      if (b.Empty()) return;
      const Look& l = pc.look;
      if (point == Point::None) {
        float rad = std::min(2.0f * pc.s, std::min(b.W(), b.H()) / 2);
        pc.c.FillRoundRect(b, rad, l.fill);
        if (l.border != l.fill) pc.c.StrokeRoundRect(b, rad, pc.Bw(), l.border);
        return;
      }
      float k = (vertical ? b.H() : b.W()) / 2;  // length of the point
      PointF pts[5];
      switch (point) {
        case Point::Down:
          pts[0] = {b.l, b.t}, pts[1] = {b.r, b.t}, pts[2] = {b.r, b.b - k}, pts[3] = {b.Cx(), b.b},
          pts[4] = {b.l, b.b - k};
          break;
        case Point::Up:
          pts[0] = {b.l, b.t + k}, pts[1] = {b.Cx(), b.t}, pts[2] = {b.r, b.t + k}, pts[3] = {b.r, b.b},
          pts[4] = {b.l, b.b};
          break;
        case Point::Left:
          pts[0] = {b.l, b.Cy()}, pts[1] = {b.l + k, b.t}, pts[2] = {b.r, b.t}, pts[3] = {b.r, b.b},
          pts[4] = {b.l + k, b.b};
          break;
        default:
          pts[0] = {b.l, b.t}, pts[1] = {b.r - k, b.t}, pts[2] = {b.r, b.Cy()}, pts[3] = {b.r - k, b.b},
          pts[4] = {b.l, b.b};
          break;
      }
      pc.c.FillPolygon(pts, 5, l.fill);
      if (l.border != l.fill) {
        PointF ring[6] = {pts[0], pts[1], pts[2], pts[3], pts[4], pts[0]};
        float t = pc.Bw();
        // Stroke on the inside of the outline.
        for (PointF& q : ring) {
          q.x += (q.x < b.Cx() ? t / 2 : (q.x > b.Cx() ? -t / 2 : 0));
          q.y += (q.y < b.Cy() ? t / 2 : (q.y > b.Cy() ? -t / 2 : 0));
        }
        pc.c.Polyline(ring, 6, t, l.border);
      }
    };
    p.trueSize = p.minSize = d.vertical ? SIZE{20, 11} : SIZE{11, 20};
    p.sizingType = ST_TRUESIZE;
    p.transparent = true;
    c.parts.push_back(p);
  }
  for (int id : {TKP_TICS, TKP_TICSVERT}) {
    bool vertical = id == TKP_TICSVERT;
    PartDef p = Part(id, vertical ? "TKP_TICSVERT" : "TKP_TICS");
    p.look = OneLook(L(0, 0, Rgb(196, 196, 196)));
    p.paint = [vertical](PaintCtx& pc) {
      float t = pc.Bw();
      RectF line = vertical ? CenteredIn(pc.r, pc.r.W(), t) : CenteredIn(pc.r, t, pc.r.H());
      pc.c.FillRect(line, pc.look.glyph);
    };
    p.trueSize = vertical ? SIZE{4, 1} : SIZE{1, 4};
    p.minSize = {1, 1};
    p.transparent = true;
    c.parts.push_back(p);
  }
  return c;
}

}  // namespace qd::theme
