// Building blocks of the theme's parts and the catalogue of classes.
#include "platform/os/uxtheme_paint.h"

#include <algorithm>
#include <cmath>

namespace qd::theme {

// ---- Catalogue -------------------------------------------------------------------------------

Look PartDef::LookOf(int state) const {
  Look l = look ? look(state) : Look{};
  if (l.text == 0) l.text = pal::Text;
  return l;
}

const PartDef* ClassDef::Part(int id) const {
  for (const PartDef& p : parts)
    if (p.id == id) return &p;
  return nullptr;
}

const std::vector<ClassDef>& Classes() {
  static const std::vector<ClassDef> classes = [] {
    std::vector<ClassDef> v;
    v.push_back(ButtonClass());
    v.push_back(ClockClass());
    v.push_back(ComboBoxClass());
    v.push_back(DatePickerClass());
    v.push_back(EditClass());
    v.push_back(ExplorerBarClass());
    v.push_back(HeaderClass());
    v.push_back(LinkClass());
    v.push_back(ListBoxClass());
    v.push_back(ListViewClass(false));
    v.push_back(ListViewClass(true));
    v.push_back(MenuClass());
    v.push_back(NavigationClass());
    v.push_back(PageClass());
    v.push_back(ProgressClass());
    v.push_back(RebarClass());
    v.push_back(ScrollBarClass());
    v.push_back(SpinClass());
    v.push_back(StartPanelClass());
    v.push_back(StatusClass());
    v.push_back(TabClass());
    v.push_back(TaskBandClass());
    v.push_back(TaskBarClass());
    v.push_back(TextStyleClass());
    v.push_back(ToolBarClass());
    v.push_back(ToolTipClass());
    v.push_back(TrackBarClass());
    v.push_back(TrayNotifyClass());
    v.push_back(TreeViewClass(false));
    v.push_back(TreeViewClass(true));
    v.push_back(WindowClass());
    for (ClassDef& c : v)
      std::stable_sort(c.parts.begin(), c.parts.end(),
                       [](const PartDef& a, const PartDef& b) { return a.id < b.id; });
    return v;
  }();
  return classes;
}

namespace {

bool SameAscii(std::u16string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i];
    char y = b[i];
    if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - u'a' + u'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != static_cast<char16_t>(static_cast<unsigned char>(y))) return false;
  }
  return true;
}

std::u16string_view Trimmed(std::u16string_view s) {
  while (!s.empty() && (s.front() == u' ' || s.front() == u'\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == u' ' || s.back() == u'\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

const ClassDef* FindClass(std::u16string_view name) {
  name = Trimmed(name);
  if (name.empty()) return nullptr;
  for (const ClassDef& c : Classes())
    if (SameAscii(name, c.name)) return &c;
  size_t sep = name.find(u"::");
  if (sep != std::u16string_view::npos) return FindClass(name.substr(sep + 2));
  return nullptr;
}

// ---- Builders --------------------------------------------------------------------------------

Look L(Argb fill, Argb border, Argb glyph, Argb text) {
  return Look{fill, border, glyph, text};
}

const std::vector<std::string>& FourStates() {
  static const std::vector<std::string> states = {"normal", "hot", "pressed", "disabled"};
  return states;
}

PartDef Part(int id, std::string name, std::vector<std::string> states) {
  PartDef p;
  p.id = id;
  p.name = std::move(name);
  p.states = std::move(states);
  p.paint = FramePaint();
  return p;
}

LookFn Looks(std::vector<Look> looks) {
  return [looks = std::move(looks)](int state) {
    if (state < 1 || state > static_cast<int>(looks.size())) return looks.empty() ? Look{} : looks[0];
    return looks[static_cast<size_t>(state - 1)];
  };
}

LookFn OneLook(Look look) {
  return [look](int) { return look; };
}

namespace {

void Frame(PaintCtx& p, const RectF& r, const float radii[4]) {
  const Look& l = p.look;
  float bw = p.Bw();
  bool border = l.border != 0 && !p.omitBorder;
  if (l.fill != 0 && !p.omitContent) {
    if (border && (l.border >> 24) == 0xFF) {
      p.c.FillRoundRect(r, radii, l.fill);
    } else if (l.border != 0) {
      float inner[4];
      for (int i = 0; i < 4; ++i) inner[i] = std::max(0.0f, radii[i] - bw);
      p.c.FillRoundRect(r.Inset(bw), inner, l.fill);
    } else {
      p.c.FillRoundRect(r, radii, l.fill);
    }
  }
  if (border) p.c.StrokeRoundRect(r, radii, bw, l.border);
}

}  // namespace

PaintFn FramePaint(float radius) {
  return [radius](PaintCtx& p) {
    float rad = std::min({radius * p.s, p.r.W() / 2, p.r.H() / 2});
    float radii[4] = {rad, rad, rad, rad};
    Frame(p, p.r, radii);
  };
}

PaintFn SidesPaint(unsigned sides, float radius, unsigned corners) {
  return [=](PaintCtx& p) {
    float rad = std::min({radius * p.s, p.r.W() / 2, p.r.H() / 2});
    float radii[4];
    for (int i = 0; i < 4; ++i) radii[i] = (corners & (1u << i)) ? rad : 0;
    // Push the unbordered sides out of the part; the canvas never shows outside it.
    float ext = p.Bw() + rad + 2;
    RectF r = p.r;
    if (!(sides & BF_LEFT)) r.l -= ext;
    if (!(sides & BF_TOP)) r.t -= ext;
    if (!(sides & BF_RIGHT)) r.r += ext;
    if (!(sides & BF_BOTTOM)) r.b += ext;
    Frame(p, r, radii);
  };
}

PaintFn WithGlyph(PaintFn background, std::function<void(PaintCtx&)> glyph) {
  return [background = std::move(background), glyph = std::move(glyph)](PaintCtx& p) {
    if (background) background(p);
    if (!p.omitContent) glyph(p);
  };
}

PaintFn NoPaint() {
  return [](PaintCtx&) {};
}

// ---- Glyphs ----------------------------------------------------------------------------------

RectF GlyphBox(const PaintCtx& p, float size) {
  return GlyphBox(p, size, size);
}

RectF GlyphBox(const PaintCtx& p, float w, float h) {
  float gw = std::round(w * p.s), gh = std::round(h * p.s);
  // Shrink to fit, keeping the proportions.
  float k = std::min({1.0f, p.r.W() / std::max(gw, 1.0f), p.r.H() / std::max(gh, 1.0f)});
  if (k < 1) {
    gw = std::floor(gw * k);
    gh = std::floor(gh * k);
  }
  return CenteredIn(p.r, gw, gh);
}

namespace {

float Stroke(const PaintCtx& p, float thickness) {
  return thickness > 0 ? thickness : std::max(1.0f, 1.25f * p.s);
}

// The points of a "v" pointing in d, spanning `span` across and span/2 along, centred at c.
void ChevronPoints(PointF c, float span, Dir d, PointF out[3]) {
  float h = span / 2, q = span / 4;
  switch (d) {
    case Dir::Down:
      out[0] = {c.x - h, c.y - q}, out[1] = {c.x, c.y + q}, out[2] = {c.x + h, c.y - q};
      break;
    case Dir::Up:
      out[0] = {c.x - h, c.y + q}, out[1] = {c.x, c.y - q}, out[2] = {c.x + h, c.y + q};
      break;
    case Dir::Right:
      out[0] = {c.x - q, c.y - h}, out[1] = {c.x + q, c.y}, out[2] = {c.x - q, c.y + h};
      break;
    case Dir::Left:
      out[0] = {c.x + q, c.y - h}, out[1] = {c.x - q, c.y}, out[2] = {c.x + q, c.y + h};
      break;
  }
}

}  // namespace

void Chevron(PaintCtx& p, const RectF& box, Dir d, Argb c, float thickness) {
  float t = Stroke(p, thickness);
  float span = std::min(d == Dir::Up || d == Dir::Down ? box.W() : box.H(),
                        2 * (d == Dir::Up || d == Dir::Down ? box.H() : box.W())) -
               t;
  if (span <= 0) return;
  PointF pts[3];
  ChevronPoints({box.Cx(), box.Cy()}, span, d, pts);
  p.c.Polyline(pts, 3, t, c);
}

void DoubleChevron(PaintCtx& p, const RectF& box, Dir d, Argb c) {
  bool vertical = d == Dir::Up || d == Dir::Down;
  float t = Stroke(p, 0);
  float span = std::min(box.W(), box.H()) * 0.75f - t;
  if (span <= 0) return;
  float gap = span / 2.5f;
  for (int i = -1; i <= 1; i += 2) {
    PointF ctr{box.Cx() + (vertical ? 0 : i * gap / 2), box.Cy() + (vertical ? i * gap / 2 : 0)};
    PointF pts[3];
    ChevronPoints(ctr, span, d, pts);
    p.c.Polyline(pts, 3, t, c);
  }
}

void Triangle(PaintCtx& p, const RectF& box, Dir d, Argb c) {
  bool vertical = d == Dir::Up || d == Dir::Down;
  float span = vertical ? std::min(box.W(), 2 * box.H()) : std::min(box.H(), 2 * box.W());
  float h = span / 2, q = span / 4;
  float cx = box.Cx(), cy = box.Cy();
  PointF pts[3];
  switch (d) {
    case Dir::Down:
      pts[0] = {cx - h, cy - q}, pts[1] = {cx + h, cy - q}, pts[2] = {cx, cy + q};
      break;
    case Dir::Up:
      pts[0] = {cx - h, cy + q}, pts[1] = {cx, cy - q}, pts[2] = {cx + h, cy + q};
      break;
    case Dir::Right:
      pts[0] = {cx - q, cy - h}, pts[1] = {cx + q, cy}, pts[2] = {cx - q, cy + h};
      break;
    case Dir::Left:
      pts[0] = {cx + q, cy - h}, pts[1] = {cx + q, cy + h}, pts[2] = {cx - q, cy};
      break;
  }
  p.c.FillPolygon(pts, 3, c);
}

void CheckMark(PaintCtx& p, const RectF& box, Argb c, float thickness) {
  float t = thickness > 0 ? thickness : std::max(1.0f, 1.5f * p.s);
  float w = box.W(), h = box.H();
  PointF pts[3] = {{box.l + 0.14f * w, box.t + 0.52f * h},
                   {box.l + 0.40f * w, box.t + 0.76f * h},
                   {box.l + 0.86f * w, box.t + 0.26f * h}};
  p.c.Polyline(pts, 3, t, c);
}

void Cross(PaintCtx& p, const RectF& box, Argb c, float thickness) {
  float t = Stroke(p, thickness);
  RectF b = box.Inset(t / 2);
  p.c.Line({b.l, b.t}, {b.r, b.b}, t, c);
  p.c.Line({b.r, b.t}, {b.l, b.b}, t, c);
}

void Dash(PaintCtx& p, const RectF& box, Argb c) {
  float t = std::max(1.0f, std::round(1.5f * p.s));
  float w = std::round(box.W() * 0.6f);
  RectF d = CenteredIn(box, w, t);
  p.c.FillRect(d, c);
}

void Arrow(PaintCtx& p, const RectF& box, Dir d, Argb c) {
  float t = Stroke(p, 0);
  float cx = box.Cx(), cy = box.Cy();
  float h = std::min(box.W(), box.H()) / 2 - t / 2;
  if (h <= 0) return;
  float head = h * 0.75f;
  PointF shaft[2];
  PointF tip[3];
  switch (d) {
    case Dir::Right:
      shaft[0] = {cx - h, cy}, shaft[1] = {cx + h, cy};
      tip[0] = {cx + h - head, cy - head}, tip[1] = {cx + h, cy}, tip[2] = {cx + h - head, cy + head};
      break;
    case Dir::Left:
      shaft[0] = {cx + h, cy}, shaft[1] = {cx - h, cy};
      tip[0] = {cx - h + head, cy - head}, tip[1] = {cx - h, cy}, tip[2] = {cx - h + head, cy + head};
      break;
    case Dir::Down:
      shaft[0] = {cx, cy - h}, shaft[1] = {cx, cy + h};
      tip[0] = {cx - head, cy + h - head}, tip[1] = {cx, cy + h}, tip[2] = {cx + head, cy + h - head};
      break;
    case Dir::Up:
      shaft[0] = {cx, cy + h}, shaft[1] = {cx, cy - h};
      tip[0] = {cx - head, cy - h + head}, tip[1] = {cx, cy - h}, tip[2] = {cx + head, cy - h + head};
      break;
  }
  p.c.Polyline(shaft, 2, t, c);
  p.c.Polyline(tip, 3, t, c);
}

void Dots(PaintCtx& p, const RectF& box, bool vertical, int count, Argb c) {
  float d = p.Px(2), gap = p.Px(2);
  float len = count * d + (count - 1) * gap;
  float x = vertical ? std::floor(box.Cx() - d / 2) : std::floor(box.Cx() - len / 2);
  float y = vertical ? std::floor(box.Cy() - len / 2) : std::floor(box.Cy() - d / 2);
  for (int i = 0; i < count; ++i) {
    p.c.FillRect({x, y, x + d, y + d}, c);
    (vertical ? y : x) += d + gap;
  }
}

void GripDots(PaintCtx& p, const RectF& box, bool right, bool bottom, Argb c) {
  float d = p.Px(2), step = p.Px(4);
  int rows = std::clamp(static_cast<int>((std::min(box.W(), box.H()) - p.Px(2) - d) / step) + 1, 1, 3);
  for (int i = 0; i < rows; ++i)
    for (int j = 0; j <= i; ++j) {
      // Row i (from the corner) has i + 1 dots along the diagonal.
      float ox = (i - j) * step + p.Px(2), oy = j * step + p.Px(2);
      float x = right ? box.r - ox - d : box.l + ox;
      float y = bottom ? box.b - oy - d : box.t + oy;
      p.c.FillRect({x, y, x + d, y + d}, c);
    }
}

}  // namespace qd::theme
