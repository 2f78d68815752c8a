// Writes the default skin data "DXSKINS"/"DefaultUserSkinData" deterministically:
//   skingen OUT.bin        builds the skin and writes the skin stream;
//   skingen --dump FILE    loads a skin stream and prints its counts;
//   skingen --list FILE    the counts, then its colours, groups, elements and properties;
//   skingen --render FILE OUT.png   draws some of its elements in every frame and state.
// The element names are those the skin information resolves (found by resolving an empty
// skin, so the two cannot drift apart), plus the names it resolves without a blank that this
// skin has, less the two it lacks. The look comes from the small table below: frames and
// states per element kind, drawn procedurally into PNG textures.
#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "gallery_png.h"
#include "platform/classes/streams.h"
#include "ui/graphics/dxCoreGraphics.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/skins/dxSkinInfo.h"
#include "ui/skins/dxSkinsCore.h"

using qd::String;

namespace {

std::string Narrow(const String& s) {
  return std::string(s.begin(), s.end());
}

// ---- The declarative table ------------------------------------------------------------------

// How an element's frames are painted:
// Box     a raised surface with a one-pixel border and rounded corners (buttons, headers, thumbs);
// Frame   a white field in a one-pixel border (edit borders, progress-bar borders, group frames);
// Flat    a plain light surface without a border (panels, backgrounds, client areas);
// Accent  the selection blue (progress chunks, selections);
// Strip   a line in the border colour (separators, label lines);
// Glyph   only the mark, on a transparent ground (glyph strips, arrows).
enum class Look { Box, Frame, Flat, Accent, Strip, Glyph };

// What is drawn on a frame, frame by frame where the frames differ.
enum class Mark {
  None,
  Dots,          // frame + 1 dots: strips whose frames are numbered glyphs
  ScrollArrows,  // up, down, left, right
  ArrowUp,
  ArrowDown,
  ArrowLeft,
  ArrowRight,
  Check,      // unchecked, checked, grayed
  Radio,      // unchecked, checked
  PlusMinus,  // plus, minus
  Plus,
  Minus,
  Cross,
  Back,
  Search,
  Grip,
  SplitterArrows,  // none, up or left, down or right
  ExpandChevrons,  // expanded (up), collapsed (down)
  SortArrows,      // descending (down), ascending (up), twice
  Navigator,       // first, prior page, prior, next, next page, last, insert, delete, edit, post, cancel
  AlertGlyphs,     // close, pin, pin down, drop-down, previous, next
  Toggle,          // frame 1 is the "on" track
  TrackSelection,  // frames 1 and 3 are the selection, 2 and 3 disabled
  Highlight,       // frame 0 hot, frame 1 selected
};

struct ElementSpec {
  const char16_t* group;  // nullptr: any group
  const char16_t* name;
  int frames;
  bool interactive;
  Look look;
  Mark mark;
  int minWidth = 0, minHeight = 0;
  // The content offset on every side; -1: the look's own.
  int offset = -1;
  // The image also carries the esActive state.
  bool active = false;
};

// Elements with a look of their own, the frame counts the painter indexes, and the minimum
// sizes the painter reads.
const ElementSpec kSpecs[] = {
    {u"Editors", u"Checkbox", 3, true, Look::Box, Mark::Check},
    {u"Editors", u"RadioButton", 2, true, Look::Glyph, Mark::Radio},
    {u"Common", u"ScrollButton", 4, true, Look::Box, Mark::ScrollArrows},
    {u"Editors", u"TrackBarTrack", 4, false, Look::Frame, Mark::TrackSelection},
    {u"Editors", u"TrackBarTrackVert", 4, false, Look::Frame, Mark::TrackSelection},
    {u"Common", u"Splitter", 3, true, Look::Flat, Mark::SplitterArrows, 6, 6},
    {u"Common", u"SplitterHorz", 3, true, Look::Flat, Mark::SplitterArrows, 6, 6},
    {u"Grid", u"PlusMinus", 2, true, Look::Box, Mark::PlusMinus},
    {u"Common", u"SortShape", 4, false, Look::Glyph, Mark::SortArrows},
    {u"Grid", u"IndicatorImages", 11, false, Look::Glyph, Mark::Dots},
    {u"Editors", u"Navigator", 11, false, Look::Glyph, Mark::Navigator},
    {u"Editors", u"NavigatorVert", 11, false, Look::Glyph, Mark::Navigator},
    {u"Common", u"HighlightedItem", 2, true, Look::Accent, Mark::Highlight},
    {u"Editors", u"ToggleSwitch", 2, true, Look::Frame, Mark::Toggle, 0, 0, 3, true},
    {u"Editors", u"ToggleSwitchThumb", 1, true, Look::Box, Mark::None, 40, 0},
    {u"Common", u"AlertWindowButtonGlyphs", 6, false, Look::Glyph, Mark::AlertGlyphs},
    {u"Editors", u"LabelLine", 1, false, Look::Strip, Mark::None, 0, 2},
    {u"Editors", u"LabelLineVert", 1, false, Look::Strip, Mark::None, 2, 0},
    {u"Editors", u"ProgressBorder", 1, false, Look::Frame, Mark::None},
    {u"Editors", u"ProgressBorderVert", 1, false, Look::Frame, Mark::None},
    {u"Editors", u"ProgressChunk", 1, false, Look::Accent, Mark::None},
    {u"Editors", u"ProgressChunkVert", 1, false, Look::Accent, Mark::None},
    {u"Editors", u"ComboButtonGlyph", 1, true, Look::Glyph, Mark::ArrowDown},
    {u"Editors", u"SpinUpGlyph", 1, true, Look::Glyph, Mark::ArrowUp},
    {u"Editors", u"SpinDownGlyph", 1, true, Look::Glyph, Mark::ArrowDown},
    {u"Editors", u"SpinLeftGlyph", 1, true, Look::Glyph, Mark::ArrowLeft},
    {u"Editors", u"SpinRightGlyph", 1, true, Look::Glyph, Mark::ArrowRight},
    {u"Editors", u"CloseButton", 1, true, Look::Glyph, Mark::Cross, 13, 13},
    {u"Editors", u"ZoomInButton", 1, true, Look::Box, Mark::Plus},
    {u"Editors", u"ZoomOutButton", 1, true, Look::Box, Mark::Minus},
    {u"Editors", u"SearchButtonGlyph", 1, true, Look::Glyph, Mark::Search},
    {u"Editors", u"SliderArrowTop", 1, true, Look::Box, Mark::ArrowUp},
    {u"Editors", u"SliderArrowBottom", 1, true, Look::Box, Mark::ArrowDown},
    {u"Editors", u"SliderArrowLeft", 1, true, Look::Box, Mark::ArrowLeft},
    {u"Editors", u"SliderArrowRight", 1, true, Look::Box, Mark::ArrowRight},
    {u"Common", u"BackButton", 1, true, Look::Box, Mark::Back, 16, 16},
    {u"Scheduler", u"NavButtonPrev", 1, true, Look::Box, Mark::None, 16, 24},
    {u"Scheduler", u"NavButtonNext", 1, true, Look::Box, Mark::None, 16, 24},
    {u"Scheduler", u"NavButtonPrevArrow", 1, true, Look::Glyph, Mark::ArrowLeft, 5, 9},
    {u"Scheduler", u"NavButtonNextArrow", 1, true, Look::Glyph, Mark::ArrowRight, 5, 9},
    // The glass over the clock's hands leaves them visible.
    {u"Editors", u"ClockFace", 1, false, Look::Frame, Mark::None, 40, 40},
    {u"Editors", u"ClockGlass", 1, false, Look::Glyph, Mark::None, 40, 40},
    // Frame 1 is the outline a resource colour tints.
    {u"Scheduler", u"Group", 2, false, Look::Frame, Mark::None},
    {u"Common", u"GroupPanel", 1, false, Look::Frame, Mark::None},
    {u"Common", u"GroupPanelTop", 1, false, Look::Frame, Mark::None},
    {u"Common", u"GroupPanelBottom", 1, false, Look::Frame, Mark::None},
    {u"Common", u"GroupPanelLeft", 1, false, Look::Frame, Mark::None},
    {u"Common", u"GroupPanelRight", 1, false, Look::Frame, Mark::None},
    {u"Common", u"GroupPanelCaptionTop", 1, false, Look::Box, Mark::None, 0, 0, 4},
    {u"Common", u"GroupPanelCaptionBottom", 1, false, Look::Box, Mark::None, 0, 0, 4},
    {u"Common", u"GroupPanelCaptionLeft", 1, false, Look::Box, Mark::None, 0, 0, 4},
    {u"Common", u"GroupPanelCaptionRight", 1, false, Look::Box, Mark::None, 0, 0, 4},
    {u"Common", u"GroupPanelNoBorder", 1, false, Look::Flat, Mark::None},
    {u"Common", u"GroupButtonExpandGlyph", 2, true, Look::Glyph, Mark::ExpandChevrons},
    {u"Common", u"SizeGrip", 1, false, Look::Glyph, Mark::Grip},
    {u"Common", u"DropDownButtonRight", 1, true, Look::Box, Mark::ArrowDown, 15, 0},
    {u"PageControl", u"TabHeaderCloseButton", 1, true, Look::Glyph, Mark::Cross, 13, 13},
    {u"Bars", u"PopupMenu", 1, false, Look::Frame, Mark::None},
    {u"Bars", u"PopupMenuSeparator", 1, false, Look::Strip, Mark::None, 0, 3},
    {u"Bars", u"PopupMenuLinkSelected", 1, false, Look::Accent, Mark::Highlight},
    {u"Bars", u"PopupMenuSideStrip", 1, false, Look::Flat, Mark::None},
    {u"Bars", u"ScreenTipWindow", 1, false, Look::Frame, Mark::None},
    {u"Grid", u"FilterButton", 1, true, Look::Box, Mark::ArrowDown},
    {u"Grid", u"FilterButtonActive", 1, true, Look::Accent, Mark::ArrowDown},
    {u"Common", u"AlertWindowCaption", 1, false, Look::Box, Mark::None, 0, 20},
};

const char* const kInteractiveWords[] = {"Button", "Thumb", "Tab",  "Header", "Item",   "Link",  "Toggle",
                                         "Check",  "Radio", "Grip", "Arrow",  "Scroll", "Filter"};
const char* const kStripWords[] = {"Separator", "Line", "Splitter", "Indicator"};
const char* const kGlyphWords[] = {"Glyph", "Shape", "Images"};
const char* const kFrameWords[] = {"Border", "Frame", "Edit", "Window"};
const char* const kFlatWords[] = {"Background", "Panel", "Client", "Content", "Pane",
                                  "Bar",        "Form",  "Page",   "Dock"};
const char* const kAccentWords[] = {"Chunk", "Selected", "Selection"};

bool HasWord(const std::string& name, const char* const* words, size_t count) {
  for (size_t i = 0; i < count; ++i)
    if (name.find(words[i]) != std::string::npos) return true;
  return false;
}

ElementSpec SpecFor(const String& group, const String& name) {
  for (const ElementSpec& s : kSpecs)
    if (name == s.name && (!s.group || group == s.group)) return s;
  const std::string n = Narrow(name);
  const bool interactive = HasWord(n, kInteractiveWords, std::size(kInteractiveWords));
  ElementSpec s{nullptr, nullptr, 1, interactive, Look::Box, Mark::None};
  if (HasWord(n, kGlyphWords, std::size(kGlyphWords)))
    s.look = Look::Glyph, s.mark = Mark::Dots;
  else if (HasWord(n, kStripWords, std::size(kStripWords)))
    s.look = Look::Strip;
  else if (HasWord(n, kAccentWords, std::size(kAccentWords)))
    s.look = Look::Accent;
  else if (!interactive && HasWord(n, kFrameWords, std::size(kFrameWords)))
    s.look = Look::Frame;
  else if (!interactive && HasWord(n, kFlatWords, std::size(kFlatWords)))
    s.look = Look::Flat;
  return s;
}

// The skin-level colours (0x00BBGGRR).
struct NamedColor {
  const char16_t* name;
  qd::TColor color;
};
const NamedColor kSkinColors[] = {
    {u"ContainerBorderColor", 0xA0A0A0},
    {u"ContainerHighlightBorderColor", 0xE59D56},
    {u"ContentColor", 0xFFFFFF},
    {u"ContentEvenColor", 0xFFFFFF},
    {u"ContentOddColor", 0xF7F7F7},
    {u"ContentTextColor", 0x202020},
    {u"DockControlHiddenBarTextColor", 0x404040},
    {u"DockControlHiddenBarTextHotColor", 0x000000},
    {u"HeaderBackgroundColor", 0xF0F0F0},
    {u"HeaderBackgroundTextColor", 0x202020},
    {u"InactiveColor", 0xE0E0E0},
    {u"InactiveTextColor", 0x202020},
    {u"LayoutControlColor", 0xF0F0F0},
    {u"SelectionColor", 0xD77800},
    {u"SelectionTextColor", 0xFFFFFF},
    {u"TreeListGridLineColor", 0xD0D0D0},
    {u"TreeListTreeLineColor", 0xA0A0A0},
    {u"SpreadSheetContentColor", 0xFFFFFF},
    {u"SpreadSheetContentTextColor", 0x202020},
    {u"SpreadSheetFrozenPaneSeparatorColor", 0x808080},
    {u"SpreadSheetSelectionColor", 0xD77800},
    {u"GridLikeControlContentColor", 0xFFFFFF},
    {u"GridLikeControlContentEvenColor", 0xFFFFFF},
    {u"GridLikeControlContentOddColor", 0xF7F7F7},
    {u"GridLikeControlContentTextColor", 0x202020},
    {u"GridLikeControlBackgroundColor", 0xF0F0F0},
};

// Group colours the editors read.
struct GroupColor {
  const char16_t* group;
  const char16_t* name;
  qd::TColor color;
};
const GroupColor kGroupColors[] = {
    {u"Editors", u"TextColor", 0x202020},
    {u"Editors", u"TextDisabledColor", 0x8D8D8D},
    {u"Editors", u"BackgroundColor", 0xFFFFFF},
    {u"Editors", u"BackgroundDisabledColor", 0xF4F4F4},
    {u"Editors", u"ProgressBarEmptyTextColor", 0x202020},
    {u"Editors", u"ProgressBarFilledTextColor", 0xFFFFFF},
};

// ---- Textures -------------------------------------------------------------------------------

struct Rgb {
  uint8_t r, g, b;
};
// Fill top, fill bottom and border by state (normal, hot, pressed, disabled).
const Rgb kStateFill[4][3] = {{{252, 252, 252}, {232, 232, 232}, {172, 172, 172}},
                              {{238, 246, 253}, {214, 232, 250}, {126, 180, 234}},
                              {{204, 228, 247}, {186, 214, 240}, {86, 157, 229}},
                              {{246, 246, 246}, {240, 240, 240}, {204, 204, 204}}};
// The selection blue: top, bottom, border; by state (normal, hot, pressed, disabled).
const Rgb kAccentFill[4][3] = {{{118, 180, 240}, {66, 139, 214}, {48, 110, 190}},
                               {{140, 196, 246}, {86, 156, 226}, {58, 124, 204}},
                               {{86, 150, 220}, {48, 112, 190}, {36, 92, 166}},
                               {{200, 214, 230}, {184, 200, 218}, {170, 184, 204}}};
const Rgb kHighlightFill[2][3] = {{{232, 242, 252}, {220, 236, 252}, {150, 196, 240}},
                                  {{204, 228, 247}, {190, 220, 246}, {96, 162, 228}}};
const Rgb kFlatFill{244, 244, 244};
const Rgb kFieldFill{255, 255, 255};

class Texture {
 public:
  Texture(int w, int h) : w_(w), px_(static_cast<size_t>(w) * h) {}
  void Put(int x, int y, Rgb c, uint8_t a = 255) {
    qd::RGBQUAD& q = px_[static_cast<size_t>(y) * w_ + x];
    q.rgbRed = c.r;
    q.rgbGreen = c.g;
    q.rgbBlue = c.b;
    q.rgbReserved = a;
  }
  int Width() const { return w_; }
  const qd::TRGBColors& Pixels() const { return px_; }

 private:
  int w_;
  qd::TRGBColors px_;
};

// One square mark of side `size` at (x0, y0).
struct MarkPen {
  Texture& t;
  int x0, y0, size;
  Rgb ink;
  void Dot(int x, int y) const {
    if (x >= 0 && y >= 0 && x < size && y < size) t.Put(x0 + x, y0 + y, ink);
  }
  void HLine(int x1, int x2, int y) const {
    for (int x = x1; x <= x2; ++x) Dot(x, y);
  }
  void VLine(int x, int y1, int y2) const {
    for (int y = y1; y <= y2; ++y) Dot(x, y);
  }
  // A filled triangle of 4 rows pointing in direction d (0 up, 1 down, 2 left, 3 right),
  // centred on (cx, cy).
  void Arrow(int d, int cx, int cy) const {
    for (int i = 0; i < 4; ++i)
      for (int j = -i; j <= i; ++j) switch (d) {
          case 0:
            Dot(cx + j, cy - 2 + i);
            break;
          case 1:
            Dot(cx + j, cy + 1 - i);
            break;
          case 2:
            Dot(cx - 2 + i, cy + j);
            break;
          default:
            Dot(cx + 1 - i, cy + j);
            break;
        }
  }
  void Chevron(bool up, int cx, int cy) const {
    for (int i = 0; i < 4; ++i) {
      const int y = up ? cy - 1 + i : cy + 1 - i;
      Dot(cx - i, y);
      Dot(cx + i, y);
    }
  }
  void Cross(int inset) const {
    for (int i = inset; i < size - inset; ++i) {
      Dot(i, i);
      Dot(size - 1 - i, i);
    }
  }
};

void DrawMark(Texture& t, int x0, int y0, int size, int frame, int state, Mark mark) {
  const MarkPen pen{t, x0, y0, size, state == qd::esDisabled ? Rgb{168, 168, 168} : Rgb{60, 60, 60}};
  const int c = size / 2;
  switch (mark) {
    case Mark::None:
    case Mark::Toggle:
    case Mark::TrackSelection:
    case Mark::Highlight:
      return;
    case Mark::Dots:
      for (int i = 0; i <= frame && 2 + i * 2 < size - 1; ++i) pen.Dot(2 + i * 2, c);
      return;
    case Mark::ScrollArrows:
      pen.Arrow(frame, c, c);
      return;
    case Mark::ArrowUp:
    case Mark::ArrowDown:
    case Mark::ArrowLeft:
    case Mark::ArrowRight:
      pen.Arrow(static_cast<int>(mark) - static_cast<int>(Mark::ArrowUp), c, c);
      return;
    case Mark::Check:
      if (frame == 1) {
        for (int i = 0; i < 3; ++i) pen.Dot(3 + i, 6 + i), pen.Dot(3 + i, 5 + i);
        for (int i = 0; i < 5; ++i) pen.Dot(5 + i, 8 - i), pen.Dot(5 + i, 7 - i);
      } else if (frame == 2) {
        for (int y = 4; y < size - 4; ++y) pen.HLine(4, size - 5, y);
      }
      return;
    case Mark::Radio: {
      const Rgb ring = state == qd::esDisabled ? Rgb{200, 200, 200} : kStateFill[std::min(state, 3)][2];
      const MarkPen outline{t, x0, y0, size, ring};
      const MarkPen field{t, x0, y0, size, state == qd::esDisabled ? kFlatFill : kFieldFill};
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
          const int d2 = (2 * x - 2 * c) * (2 * x - 2 * c) + (2 * y - 2 * c) * (2 * y - 2 * c);
          if (d2 <= (size - 1) * (size - 1) && d2 >= (size - 3) * (size - 3))
            outline.Dot(x, y);
          else if (d2 < (size - 3) * (size - 3))
            field.Dot(x, y);
        }
      if (frame == 1)
        for (int y = c - 2; y <= c + 2; ++y)
          for (int x = c - 2; x <= c + 2; ++x)
            if ((x - c) * (x - c) + (y - c) * (y - c) <= 5) pen.Dot(x, y);
      return;
    }
    case Mark::PlusMinus:
    case Mark::Plus:
    case Mark::Minus:
      pen.HLine(4, size - 5, c);
      if (mark == Mark::Plus || (mark == Mark::PlusMinus && frame == 0)) pen.VLine(c, 4, size - 5);
      return;
    case Mark::Cross:
      pen.Cross(4);
      return;
    case Mark::Back:
      pen.HLine(4, size - 5, c);
      for (int i = 1; i <= 3; ++i) pen.Dot(4 + i, c - i), pen.Dot(4 + i, c + i);
      return;
    case Mark::Search:
      for (int i = 0; i < 8; ++i) {
        static const int ring[8][2] = {{4, 1}, {6, 2}, {7, 4}, {6, 6}, {4, 7}, {2, 6}, {1, 4}, {2, 2}};
        pen.Dot(ring[i][0], ring[i][1]);
      }
      for (int i = 7; i < 11; ++i) pen.Dot(i, i);
      return;
    case Mark::Grip:
      for (int i = 0; i < 3; ++i)
        for (int j = 0; j <= i; ++j) pen.Dot(size - 3 - 3 * j, size - 9 + 3 * i);
      return;
    case Mark::SplitterArrows:
      if (frame > 0) pen.Arrow(frame == 1 ? 2 : 3, c, c);
      return;
    case Mark::ExpandChevrons:
      pen.Chevron(frame == 0, c, c - 2);
      pen.Chevron(frame == 0, c, c + 2);
      return;
    case Mark::SortArrows:
      pen.Arrow(frame % 2 == 0 ? 1 : 0, c, c);
      return;
    case Mark::Navigator:
      switch (frame) {
        case 0:
          pen.VLine(3, c - 3, c + 3), pen.Arrow(2, c + 1, c);
          break;
        case 1:
          pen.Arrow(2, c - 2, c), pen.Arrow(2, c + 2, c);
          break;
        case 2:
          pen.Arrow(2, c, c);
          break;
        case 3:
          pen.Arrow(3, c, c);
          break;
        case 4:
          pen.Arrow(3, c - 2, c), pen.Arrow(3, c + 2, c);
          break;
        case 5:
          pen.VLine(size - 4, c - 3, c + 3), pen.Arrow(3, c - 1, c);
          break;
        case 6:
          pen.HLine(3, size - 4, c), pen.VLine(c, 3, size - 4);
          break;
        case 7:
          pen.HLine(3, size - 4, c);
          break;
        case 8:
          for (int i = 3; i < size - 3; ++i) pen.Dot(i, size - 1 - i), pen.Dot(i + 1, size - 1 - i);
          break;
        case 9:
          for (int i = 0; i < 3; ++i) pen.Dot(3 + i, 6 + i);
          for (int i = 0; i < 5; ++i) pen.Dot(5 + i, 8 - i);
          break;
        default:
          pen.Cross(3);
          break;
      }
      return;
    case Mark::AlertGlyphs:
      switch (frame) {
        case 0:
          pen.Cross(3);
          break;
        case 1:
          pen.VLine(c, 2, 6), pen.HLine(c - 2, c + 2, 7), pen.VLine(c, 8, 10);
          break;
        case 2:
          pen.HLine(2, 6, c), pen.VLine(7, c - 2, c + 2), pen.HLine(8, 10, c);
          break;
        case 3:
          pen.Arrow(1, c, c);
          break;
        case 4:
          pen.Arrow(2, c, c);
          break;
        default:
          pen.Arrow(3, c, c);
          break;
      }
      return;
  }
}

// The fill, border and ground of one frame at (x0, 0).
void DrawFrame(Texture& t, int x0, int fw, int fh, int state, int frame, const ElementSpec& spec, bool mark) {
  const int s = std::min(state, 3);
  Rgb top = kStateFill[s][0], bottom = kStateFill[s][1], border = kStateFill[s][2];
  bool edge = true, rounded = fw > 4 && fh > 4, transparent = false;
  switch (spec.look) {
    case Look::Box:
      break;
    case Look::Frame:
      top = bottom = state == qd::esDisabled ? kFlatFill : kFieldFill;
      rounded = false;
      break;
    case Look::Flat:
      top = bottom = kFlatFill;
      edge = rounded = false;
      break;
    case Look::Accent:
      top = kAccentFill[s][0], bottom = kAccentFill[s][1], border = kAccentFill[s][2];
      break;
    case Look::Strip:
      top = bottom = border;
      edge = rounded = false;
      break;
    case Look::Glyph:
      transparent = true;
      break;
  }
  // The switch's track is blue while on (esActive), light while off.
  if (spec.mark == Mark::Toggle) {
    if (state == qd::esActive)
      top = kAccentFill[0][0], bottom = kAccentFill[0][1], border = kAccentFill[0][2];
    else
      top = bottom = Rgb{236, 236, 236};
  }
  if (spec.mark == Mark::TrackSelection) {
    const int ts = frame >= 2 ? 3 : 0;
    if (frame % 2 == 1)
      top = kAccentFill[ts][0], bottom = kAccentFill[ts][1], border = kAccentFill[ts][2];
    else
      top = bottom = frame >= 2 ? kFlatFill : Rgb{236, 236, 236}, border = kStateFill[ts][2];
  }
  if (spec.mark == Mark::Highlight) {
    const Rgb* h = kHighlightFill[std::min(frame, 1)];
    top = h[0], bottom = h[1], border = h[2];
  }
  for (int y = 0; y < fh; ++y)
    for (int x = 0; x < fw; ++x) {
      const bool onEdge = x == 0 || y == 0 || x == fw - 1 || y == fh - 1;
      const bool corner = (x == 0 || x == fw - 1) && (y == 0 || y == fh - 1);
      if (transparent || (rounded && corner)) {
        t.Put(x0 + x, y, Rgb{0, 0, 0}, 0);
        continue;
      }
      if (edge && onEdge) {
        t.Put(x0 + x, y, border);
        continue;
      }
      const int k = fh > 1 ? y * 255 / (fh - 1) : 0;
      auto mix = [k](uint8_t a, uint8_t b) { return static_cast<uint8_t>((a * (255 - k) + b * k) / 255); };
      t.Put(x0 + x, y, Rgb{mix(top.r, bottom.r), mix(top.g, bottom.g), mix(top.b, bottom.b)});
    }
  if (mark) DrawMark(t, x0, 0, std::min(fw, fh), frame, state, spec.mark);
}

// A horizontal strip of frames x states, each frame fw x fh.
void LoadStrip(qd::TdxSkinImage* image, const ElementSpec& spec,
               const std::vector<qd::TdxSkinElementState>& states, int fw, int fh, bool mark) {
  const int count = spec.frames * static_cast<int>(states.size());
  Texture texture(fw * count, fh);
  for (int f = 0; f < spec.frames; ++f)
    for (size_t s = 0; s < states.size(); ++s)
      DrawFrame(texture, (f * static_cast<int>(states.size()) + static_cast<int>(s)) * fw, fw, fh,
                static_cast<int>(states[s]), f, spec, mark);
  image->Texture()->LoadFromBits(texture.Width(), fh, texture.Pixels(), qd::afDefined);
  image->SetImageCount(spec.frames);
  qd::TdxSkinElementStates set;
  for (auto s : states) set.Include(s);
  image->SetStates(set);
  image->SetImageLayout(qd::ilHorizontal);
}

void FillElement(qd::TdxSkinElement* e, const String& group) {
  const String name = e->Name();
  const ElementSpec spec = SpecFor(group, name);
  std::vector<qd::TdxSkinElementState> states{qd::esNormal};
  if (spec.interactive) states = {qd::esNormal, qd::esHot, qd::esPressed, qd::esDisabled};
  if (spec.active) states.push_back(qd::esActive);
  const bool natural = spec.look == Look::Glyph || spec.mark == Mark::Check || spec.mark == Mark::PlusMinus;
  int fw = spec.look == Look::Strip ? 4 : (natural ? 13 : 16);
  int fh = fw;
  // A track is a thin groove the thumb rides on, its thickness the painter's track size.
  const bool track = spec.mark == Mark::TrackSelection;
  if (track) (name == u"TrackBarTrackVert" ? fw : fh) = 5;
  // Marks on stretched surfaces go into the glyph, which is drawn centred at its own size.
  const bool ownGlyph = !natural && spec.look != Look::Glyph && spec.mark != Mark::None &&
                        spec.mark != Mark::Toggle && spec.mark != Mark::TrackSelection &&
                        spec.mark != Mark::Highlight;
  qd::TdxSkinImage* image = e->Image();
  LoadStrip(image, spec, states, fw, fh, !ownGlyph);
  if (ownGlyph) {
    ElementSpec glyph = spec;
    glyph.look = Look::Glyph;
    const int size = spec.mark == Mark::SplitterArrows ? 6 : 11;
    LoadStrip(e->Glyph(), glyph, states, size, size, true);
    e->Glyph()->SetStretch(qd::smNoResize);
  }
  if (natural) {
    image->SetStretch(qd::smNoResize);
  } else {
    const int m = spec.look == Look::Strip ? 1 : (track ? 2 : 4);
    image->Margins()->SetMargin(qd::TRect{m, m, m, m});
    image->SetStretch(qd::smStretch);
  }
  e->SetAlpha(255);
  e->SetTextColor(spec.look == Look::Accent && spec.mark != Mark::Highlight ? 0xFFFFFF : 0x202020);
  if (spec.minWidth || spec.minHeight) e->MinSize()->SetSize(qd::TSize{spec.minWidth, spec.minHeight});
  if (spec.look == Look::Frame) e->ContentOffset()->SetRect(qd::TRect{1, 1, 1, 1});
  if (spec.interactive) {
    e->AddPropertyColor(u"TextColorDisabled", 0x8D8D8D);
    if (spec.look == Look::Box || spec.look == Look::Accent)
      e->ContentOffset()->SetRect(qd::TRect{3, 3, 3, 3});
  }
  if (spec.offset >= 0)
    e->ContentOffset()->SetRect(qd::TRect{spec.offset, spec.offset, spec.offset, spec.offset});
}

// ---- Building -------------------------------------------------------------------------------

struct Name {
  String group, element;
};

// The names the skin information resolves, as blanks in an empty skin.
std::vector<Name> ResolvedNames() {
  qd::TdxSkinInfo info(new qd::TdxSkin(u"names"));
  std::vector<Name> names;
  qd::TdxSkin* skin = info.Skin();
  for (int g = 0; g < skin->GroupCount(); ++g) {
    qd::TdxSkinControlGroup* group = skin->Groups(g);
    for (int e = 0; e < group->Count(); ++e) names.push_back({group->Name(), group->Elements(e)->Name()});
  }
  return names;
}

std::unique_ptr<qd::TdxSkin> BuildSkin() {
  std::vector<Name> names = ResolvedNames();
  // Looked up without a blank, but present here.
  names.push_back({u"Bars", u"MainMenuCustomize"});
  names.push_back({u"Bars", u"MainMenuDrag"});
  names.push_back({u"Ribbon", u"AppMenuExtraPanePinButtonGlyph"});
  names.push_back({u"Ribbon", u"BackstageViewTabHeaderArrow"});
  // Absent from this skin: the skin information adds a blank for the first, and leaves the
  // second (looked up without a blank) nil.
  std::erase_if(names, [](const Name& n) { return n.group == u"Bars" && n.element == u"MainMenuVertical"; });

  auto skin = std::make_unique<qd::TdxSkin>(u"defaultuserskindata");
  skin->Details()->SetDisplayName(u"UserSkin");
  for (const NamedColor& c : kSkinColors) skin->AddColor(c.name, c.color);
  for (const Name& n : names) {
    qd::TdxSkinControlGroup* group = skin->GetGroupByName(n.group);
    if (!group) group = skin->AddGroup(n.group);
    FillElement(group->AddElement(n.element), n.group);
  }
  for (const GroupColor& c : kGroupColors) skin->GetGroupByName(c.group)->AddPropertyColor(c.name, c.color);
  return skin;
}

int Dump(const char* path, bool verbose) {
  qd::TdxSkin skin(u"dump");
  skin.LoadFromFile(String(path, path + std::strlen(path)));
  int elements = 0, textures = 0, properties = 0;
  for (int g = 0; g < skin.GroupCount(); ++g) {
    qd::TdxSkinControlGroup* group = skin.Groups(g);
    elements += group->Count();
    properties += group->PropertyCount();
    for (int e = 0; e < group->Count(); ++e) {
      qd::TdxSkinElement* element = group->Elements(e);
      textures += !element->Image()->Texture()->Empty();
      textures += !element->Glyph()->Texture()->Empty();
      properties += element->PropertyCount();
    }
  }
  std::printf("name %s display %s\n", Narrow(skin.Name()).c_str(), Narrow(skin.DisplayName()).c_str());
  std::printf("groups %d elements %d colours %d skin properties %d palettes %d textures %d properties %d\n",
              skin.GroupCount(), elements, skin.ColorCount(), skin.PropertyCount(),
              skin.ColorPalettes()->Count(), textures, properties);
  if (!verbose) return 0;
  // The colours (0xRRGGBB), then each group with its colour and other properties and its elements:
  // frames, states (N H P D A ...), image size, stretch, minimum size, content offsets, colour and
  // text colour.
  const auto rgb = [](qd::TColor c) {
    char buf[16];
    if (c == qd::clNone || c == qd::clDefault)
      std::snprintf(buf, sizeof buf, "%s", c == qd::clNone ? "none" : "default");
    else
      std::snprintf(buf, sizeof buf, "#%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    return std::string(buf);
  };
  const auto listProperties = [&rgb](qd::TdxSkinPersistent* AObject, const char* AIndent) {
    for (int i = 0; i < AObject->PropertyCount(); ++i) {
      qd::TdxSkinProperty* p = AObject->Properties(i);
      std::string value;
      if (auto* c = dynamic_cast<qd::TdxSkinColor*>(p))
        value = rgb(c->Value());
      else if (auto* n = dynamic_cast<qd::TdxSkinIntegerProperty*>(p))
        value = std::to_string(n->Value());
      else if (auto* b = dynamic_cast<qd::TdxSkinBooleanProperty*>(p))
        value = b->Value() ? "true" : "false";
      else
        value = Narrow(qd::String(p->ClassType()->ClassName()));
      std::printf("%s%s = %s\n", AIndent, Narrow(p->Name()).c_str(), value.c_str());
    }
  };
  static const char kStateLetters[] = "NHPDAFOCKIX";
  for (int i = 0; i < skin.ColorCount(); ++i)
    std::printf("colour %s = %s\n", Narrow(skin.Colors(i)->Name()).c_str(),
                rgb(skin.Colors(i)->Value()).c_str());
  for (int g = 0; g < skin.GroupCount(); ++g) {
    qd::TdxSkinControlGroup* group = skin.Groups(g);
    std::printf("group %s: %d elements\n", Narrow(group->Name()).c_str(), group->Count());
    listProperties(group, "  ");
    for (int e = 0; e < group->Count(); ++e) {
      qd::TdxSkinElement* element = group->Elements(e);
      std::string states;
      for (int st = 0; st < qd::dxSkinElementStateCount; ++st)
        if (element->States().Contains(static_cast<qd::TdxSkinElementState>(st))) states += kStateLetters[st];
      const qd::TSize size = element->Size();
      const qd::TRect offsets = element->ContentOffset()->Rect();
      std::printf(
          "  %s: frames %d states %s size %dx%d %s min %dx%d offsets %d,%d,%d,%d%s colour %s text %s\n",
          Narrow(element->Name()).c_str(), element->ImageCount(), states.c_str(), size.cx, size.cy,
          element->Image()->Stretch() == qd::smNoResize ? "natural" : "stretched",
          element->MinSize()->Width(), element->MinSize()->Height(), offsets.Left, offsets.Top, offsets.Right,
          offsets.Bottom, element->Glyph()->Texture()->Empty() ? "" : " glyph", rgb(element->Color()).c_str(),
          rgb(element->TextColor()).c_str());
      listProperties(element, "    ");
    }
  }
  return 0;
}

struct RenderCell {
  qd::TdxSkinElement* element;
  int frame;
  qd::TdxSkinElementState state;
  int width, height;
  void draw(qd::TcxCanvas& c, const qd::TRect& r) const {
    const qd::TRect box{r.Left + 4, r.Top + 4, r.Left + 4 + width, r.Top + 4 + height};
    element->Draw(c.Handle(), box, frame, state);
  }
};

int Render(const char* path, const char* out) {
  qd::TdxSkin skin(u"render");
  skin.LoadFromFile(String(path, path + std::strlen(path)));
  struct Pick {
    const char16_t* group;
    const char16_t* name;
    int w, h;
  };
  const Pick picks[] = {{u"Common", u"Button", 60, 24},        {u"Common", u"ScrollButton", 17, 17},
                        {u"Editors", u"Checkbox", 13, 13},     {u"Editors", u"RadioButton", 13, 13},
                        {u"Editors", u"ToggleSwitch", 40, 20}, {u"Common", u"Splitter", 6, 24},
                        {u"Editors", u"LabelLine", 60, 2},     {u"Editors", u"ProgressChunk", 60, 12},
                        {u"Grid", u"PlusMinus", 13, 13}};
  const qd::TdxSkinElementState states[] = {qd::esNormal, qd::esHot, qd::esPressed, qd::esDisabled};
  std::vector<RenderCell> cells;
  for (const Pick& p : picks) {
    qd::TdxSkinElement* e = skin.GetGroupByName(p.group)->GetElementByName(p.name);
    for (int f = 0; f < e->ImageCount(); ++f)
      for (auto st : states) cells.push_back({e, f, st, p.w, p.h});
  }
  qd::TBitmap picture;
  qd::tools::DrawGalleryGrid(picture, cells, 16, 72, 32, [](qd::TcxCanvas&, size_t, const qd::TRect&) {});
  return qd::tools::SaveGalleryPng(picture, 2, out) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const bool dump = std::strcmp(argv[argc > 1 ? 1 : 0], "--dump") == 0 ||
                    std::strcmp(argv[argc > 1 ? 1 : 0], "--list") == 0;
  if (argc < 2 || (dump && argc < 3)) {
    std::fprintf(
        stderr,
        "usage: skingen OUT | skingen --dump FILE | skingen --list FILE | skingen --render FILE OUT.png\n");
    return 2;
  }
  qd::InitializeUnits();
  int rc = 0;
  if (dump) {
    rc = Dump(argv[2], std::strcmp(argv[1], "--list") == 0);
  } else if (std::strcmp(argv[1], "--render") == 0 && argc >= 4) {
    rc = Render(argv[2], argv[3]);
  } else {
    std::unique_ptr<qd::TdxSkin> skin = BuildSkin();
    skin->SaveToFile(String(argv[1], argv[1] + std::strlen(argv[1])));
  }
  qd::FinalizeUnits();
  return rc;
}
