// Writes the default skin data "DXSKINS"/"DefaultUserSkinData" deterministically:
//   skingen OUT.bin        builds the skin and writes the skin stream;
//   skingen --dump FILE    loads a skin stream and prints its counts;
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

enum class Look { Box, Strip, Glyph };

struct ElementSpec {
  const char16_t* group;  // nullptr: any group
  const char16_t* name;
  int frames;
  bool interactive;
  Look look;
};

// Elements whose frame counts the painter indexes, and the glyph-like ones drawn unscaled.
const ElementSpec kSpecs[] = {
    {u"Editors", u"Checkbox", 3, true, Look::Glyph},
    {u"Editors", u"RadioButton", 2, true, Look::Glyph},
    {u"Common", u"ScrollButton", 4, true, Look::Box},
    {u"Editors", u"TrackBarTrack", 4, false, Look::Box},
    {u"Editors", u"TrackBarTrackVert", 4, false, Look::Box},
    {u"Common", u"Splitter", 3, true, Look::Strip},
    {u"Common", u"SplitterHorz", 3, true, Look::Strip},
    {u"Grid", u"PlusMinus", 2, true, Look::Glyph},
    {u"Common", u"SortShape", 4, false, Look::Glyph},
    {u"Grid", u"IndicatorImages", 11, false, Look::Glyph},
    {u"Editors", u"Navigator", 11, false, Look::Glyph},
    {u"Editors", u"NavigatorVert", 11, false, Look::Glyph},
    {u"Common", u"HighlightedItem", 2, true, Look::Box},
    {u"Editors", u"ToggleSwitch", 2, true, Look::Box},
    {u"Common", u"AlertWindowButtonGlyphs", 6, false, Look::Glyph},
    {u"Editors", u"LabelLine", 1, false, Look::Strip},
    {u"Editors", u"LabelLineVert", 1, false, Look::Strip},
};

const char* const kInteractiveWords[] = {"Button", "Thumb", "Tab",  "Header", "Item",   "Link",  "Toggle",
                                         "Check",  "Radio", "Grip", "Arrow",  "Scroll", "Filter"};
const char* const kStripWords[] = {"Separator", "Line", "Splitter", "Indicator", "Border"};
const char* const kGlyphWords[] = {"Glyph", "Shape", "Images"};

bool HasWord(const std::string& name, const char* const* words, size_t count) {
  for (size_t i = 0; i < count; ++i)
    if (name.find(words[i]) != std::string::npos) return true;
  return false;
}

ElementSpec SpecFor(const String& group, const String& name) {
  for (const ElementSpec& s : kSpecs)
    if (name == s.name && (!s.group || group == s.group)) return s;
  const std::string n = Narrow(name);
  ElementSpec s{nullptr, nullptr, 1, HasWord(n, kInteractiveWords, std::size(kInteractiveWords)), Look::Box};
  if (HasWord(n, kGlyphWords, std::size(kGlyphWords)))
    s.look = Look::Glyph;
  else if (HasWord(n, kStripWords, std::size(kStripWords)))
    s.look = Look::Strip;
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
const Rgb kStateFill[4][3] = {{{250, 250, 250}, {232, 232, 232}, {160, 160, 160}},
                              {{236, 244, 252}, {214, 232, 250}, {126, 180, 234}},
                              {{204, 228, 247}, {186, 214, 240}, {86, 157, 229}},
                              {{246, 246, 246}, {240, 240, 240}, {204, 204, 204}}};

void Put(qd::TRGBColors& px, int w, int x, int y, Rgb c, uint8_t a = 255) {
  qd::RGBQUAD& q = px[static_cast<size_t>(y) * w + x];
  q.rgbRed = c.r;
  q.rgbGreen = c.g;
  q.rgbBlue = c.b;
  q.rgbReserved = a;
}

// A mark for frame AFrame inside the square (x0, y0, size): arrows for the scroll button, a
// check and a square for the check box, a dot for the checked radio button, plus and minus,
// otherwise AFrame + 1 dots.
void DrawMark(qd::TRGBColors& px, int w, int x0, int y0, int size, int frame, const std::string& name) {
  const Rgb ink{64, 64, 64};
  const int c = size / 2;
  if (name == "ScrollButton") {
    for (int i = 0; i < 3; ++i)
      for (int j = -i; j <= i; ++j) {
        const int a = c - 1 + i, b = c + j;
        switch (frame) {
          case 0:
            Put(px, w, x0 + b, y0 + a, ink);
            break;  // up
          case 1:
            Put(px, w, x0 + b, y0 + size - 1 - a, ink);
            break;  // down
          case 2:
            Put(px, w, x0 + a, y0 + b, ink);
            break;  // left
          default:
            Put(px, w, x0 + size - 1 - a, y0 + b, ink);
            break;  // right
        }
      }
    return;
  }
  if (name == "Checkbox") {
    if (frame == 1) {
      for (int i = 0; i < 3; ++i) Put(px, w, x0 + 3 + i, y0 + 6 + i, ink);
      for (int i = 0; i < 5; ++i) Put(px, w, x0 + 5 + i, y0 + 8 - i, ink);
    } else if (frame == 2) {
      for (int y = 4; y < size - 4; ++y)
        for (int x = 4; x < size - 4; ++x) Put(px, w, x0 + x, y0 + y, ink);
    }
    return;
  }
  if (name == "RadioButton") {
    if (frame == 1)
      for (int y = c - 2; y <= c + 2; ++y)
        for (int x = c - 2; x <= c + 2; ++x)
          if (std::abs(x - c) + std::abs(y - c) < 4) Put(px, w, x0 + x, y0 + y, ink);
    return;
  }
  if (name == "PlusMinus") {
    for (int i = 3; i < size - 3; ++i) Put(px, w, x0 + i, y0 + c, ink);
    if (frame == 0)
      for (int i = 3; i < size - 3; ++i) Put(px, w, x0 + c, y0 + i, ink);
    return;
  }
  for (int i = 0; i <= frame && 2 + i * 2 < size - 1; ++i) Put(px, w, x0 + 2 + i * 2, y0 + c, ink);
}

// One frame of the element at (x0, 0).
void DrawFrame(qd::TRGBColors& px, int w, int x0, int fw, int fh, int state, int frame,
               const ElementSpec& spec, const std::string& name) {
  const Rgb* pal = kStateFill[std::min(state, 3)];
  for (int y = 0; y < fh; ++y)
    for (int x = 0; x < fw; ++x) {
      const bool edge = x == 0 || y == 0 || x == fw - 1 || y == fh - 1;
      const bool corner = (x == 0 || x == fw - 1) && (y == 0 || y == fh - 1);
      if (spec.look == Look::Strip) {
        Put(px, w, x0 + x, y, pal[2]);
        continue;
      }
      if (corner && fw > 4 && fh > 4) {
        Put(px, w, x0 + x, y, Rgb{0, 0, 0}, 0);
        continue;
      }
      if (edge) {
        Put(px, w, x0 + x, y, pal[2]);
        continue;
      }
      const int t = fh > 1 ? y * 255 / (fh - 1) : 0;
      auto mix = [t](uint8_t a, uint8_t b) { return static_cast<uint8_t>((a * (255 - t) + b * t) / 255); };
      Put(px, w, x0 + x, y, Rgb{mix(pal[0].r, pal[1].r), mix(pal[0].g, pal[1].g), mix(pal[0].b, pal[1].b)});
    }
  if (spec.frames > 1 || spec.look == Look::Glyph) DrawMark(px, w, x0, 0, std::min(fw, fh), frame, name);
}

void FillElement(qd::TdxSkinElement* e, const String& group) {
  const String name = e->Name();
  const ElementSpec spec = SpecFor(group, name);
  const std::string n = Narrow(name);
  std::vector<qd::TdxSkinElementState> states{qd::esNormal};
  if (spec.interactive) states = {qd::esNormal, qd::esHot, qd::esPressed, qd::esDisabled};
  const int fw = spec.look == Look::Strip ? 4 : (spec.look == Look::Glyph ? 13 : 16);
  const int fh = fw;
  const int count = spec.frames * static_cast<int>(states.size());
  const int w = fw * count;
  qd::TRGBColors px(static_cast<size_t>(w) * fh);
  for (int f = 0; f < spec.frames; ++f)
    for (size_t s = 0; s < states.size(); ++s)
      DrawFrame(px, w, (f * static_cast<int>(states.size()) + static_cast<int>(s)) * fw, fw, fh,
                static_cast<int>(states[s]), f, spec, n);

  qd::TdxSkinImage* image = e->Image();
  image->Texture()->LoadFromBits(w, fh, px, qd::afDefined);
  image->SetImageCount(spec.frames);
  qd::TdxSkinElementStates set;
  for (auto s : states) set.Include(s);
  image->SetStates(set);
  image->SetImageLayout(qd::ilHorizontal);
  if (spec.look == Look::Glyph) {
    image->SetStretch(qd::smNoResize);
  } else {
    const int m = spec.look == Look::Strip ? 1 : 4;
    image->Margins()->SetMargin(qd::TRect{m, m, m, m});
    image->SetStretch(qd::smStretch);
  }
  e->SetAlpha(255);
  e->SetTextColor(0x202020);
  if (n == "LabelLine") e->MinSize()->SetSize(qd::TSize{0, 2});
  if (n == "LabelLineVert") e->MinSize()->SetSize(qd::TSize{2, 0});
  if (spec.interactive) {
    e->AddPropertyColor(u"TextColorDisabled", 0x8D8D8D);
    e->ContentOffset()->SetRect(qd::TRect{3, 3, 3, 3});
  }
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

int Dump(const char* path) {
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
  if (argc < 2 || (std::strcmp(argv[1], "--dump") == 0 && argc < 3)) {
    std::fprintf(stderr, "usage: skingen OUT | skingen --dump FILE | skingen --render FILE OUT.png\n");
    return 2;
  }
  qd::InitializeUnits();
  int rc = 0;
  if (std::strcmp(argv[1], "--dump") == 0) {
    rc = Dump(argv[2]);
  } else if (std::strcmp(argv[1], "--render") == 0 && argc >= 4) {
    rc = Render(argv[2], argv[3]);
  } else {
    std::unique_ptr<qd::TdxSkin> skin = BuildSkin();
    skin->SaveToFile(String(argv[1], argv[1] + std::strlen(argv[1])));
  }
  qd::FinalizeUnits();
  return rc;
}
