#pragma once
// Building blocks of the theme's parts: looks per state, framed backgrounds and glyphs.
// Not for use outside platform/os.
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/os/uxtheme_internal.h"

namespace qd::theme {

enum class Dir { Up, Down, Left, Right };

// A part with its name and state names; everything else at its default.
PartDef Part(int id, std::string name, std::vector<std::string> states = {"normal"});
// The states of most buttons: normal, hot, pressed, disabled.
const std::vector<std::string>& FourStates();
// Looks by state (state 1 first); states out of range look like state 1.
LookFn Looks(std::vector<Look> looks);
// The same look in every state.
LookFn OneLook(Look look);

// Fill and one-pixel border, both optional, as rounded rectangle with `radius` (96-DPI px).
// DTBG_OMITBORDER leaves the border out, DTBG_OMITCONTENT the inside.
PaintFn FramePaint(float radius = 0);
// Like FramePaint for a rectangle with only some sides bordered (BF_LEFT... bits) and some
// corners rounded (bits 1 tl, 2 tr, 4 br, 8 bl).
PaintFn SidesPaint(unsigned sides, float radius = 0, unsigned corners = 0);
// A framed background, then `glyph` in the look's glyph colour.
PaintFn WithGlyph(PaintFn background, std::function<void(PaintCtx&)> glyph);
// Nothing at all (a part that is only text, or transparent in every state).
PaintFn NoPaint();

// Glyphs, drawn into `box` (device pixels) in colour `c`.
void Chevron(PaintCtx& p, const RectF& box, Dir d, Argb c, float thickness = 0);
void DoubleChevron(PaintCtx& p, const RectF& box, Dir d, Argb c);
void Triangle(PaintCtx& p, const RectF& box, Dir d, Argb c);
void CheckMark(PaintCtx& p, const RectF& box, Argb c, float thickness = 0);
void Cross(PaintCtx& p, const RectF& box, Argb c, float thickness = 0);
void Dash(PaintCtx& p, const RectF& box, Argb c);
void Arrow(PaintCtx& p, const RectF& box, Dir d, Argb c);
void Dots(PaintCtx& p, const RectF& box, bool vertical, int count, Argb c);
void GripDots(PaintCtx& p, const RectF& box, bool right, bool bottom, Argb c);
// A square box of `size` (96-DPI px) centred in the part, shrunk to fit.
RectF GlyphBox(const PaintCtx& p, float size);
RectF GlyphBox(const PaintCtx& p, float w, float h);

// Common looks.
Look L(Argb fill, Argb border = 0, Argb glyph = 0, Argb text = 0);

// The classes.
ClassDef ButtonClass();
ClassDef EditClass();
ClassDef ComboBoxClass();
ClassDef SpinClass();
ClassDef ScrollBarClass();
ClassDef ProgressClass();
ClassDef TrackBarClass();
ClassDef ClockClass();
ClassDef DatePickerClass();
ClassDef ExplorerBarClass();
ClassDef HeaderClass();
ClassDef LinkClass();
ClassDef ListBoxClass();
ClassDef ListViewClass(bool explorer);
ClassDef MenuClass();
ClassDef NavigationClass();
ClassDef PageClass();
ClassDef RebarClass();
ClassDef StartPanelClass();
ClassDef StatusClass();
ClassDef TabClass();
ClassDef TaskBandClass();
ClassDef TaskBarClass();
ClassDef TextStyleClass();
ClassDef ToolBarClass();
ClassDef ToolTipClass();
ClassDef TrayNotifyClass();
ClassDef TreeViewClass(bool explorer);
ClassDef WindowClass();

}  // namespace qd::theme
