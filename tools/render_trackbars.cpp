// Renders a sheet of track bars into a PNG, for looking at them by eye: horizontal and vertical
// bars with ticks on either or both sides, numbers, a selection, change buttons, a reversed bar,
// a disabled one, and the zoom track bar. The bars are real controls on a form read back from
// the window.
//
//   render_trackbars OUT.png [--zoom N] [--kind standard|flat|ultraflat|office11] [--native]
//                    [--crop X,Y,W,H]
#include <cstdio>
#include <functional>
#include <vector>

#include "render_sheet.h"
#include "ui/editors/concrete/cxTrackBar.h"
#include "ui/editors/concrete/dxZoomTrackBar.h"

using namespace qd;

namespace {

// A track bar with the zoom track bar's settings and controller, as an owner would place one.
class TZoomBar : public TcxCustomTrackBar {
  QD_CLASS_INLINE(TZoomBar, TcxCustomTrackBar)

 public:
  using TcxCustomTrackBar::TcxCustomTrackBar;
  TClass GetPropertiesClass() const override { return TdxCustomZoomTrackBarProperties::StaticClass(); }

 protected:
  TcxTrackBarController* CreateController() override { return new TdxZoomTrackBarController(this); }
};

struct Cell {
  const char* name;
  int x, y, w, h;
  std::function<void(TcxCustomTrackBar*)> setup;
  bool zoom = false;
};

TcxCustomTrackBarProperties* P(TcxCustomTrackBar* ABar) {
  return ABar->Properties();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: render_trackbars OUT.png [--zoom N] [--kind K] [--native]\n");
    return 2;
  }
  const TcxLookAndFeelKind kind = tools::KindOption(argc, argv);
  const bool native = tools::HasOption(argc, argv, "--native");
  TRect crop{0, 0, 0, 0};
  if (const char* value = tools::OptionValue(argc, argv, "--crop")) {
    int x = 0, y = 0, w = 0, h = 0;
    if (std::sscanf(value, "%d,%d,%d,%d", &x, &y, &w, &h) == 4) crop = TRect{x, y, x + w, y + h};
  }
  return tools::RenderSheetToPng(
      "render_trackbars", argv[1], tools::ZoomOption(argc, argv), [&](TBitmap& sheet) {
        const std::vector<Cell> cells = {
            {"default", 10, 10, 220, 45, [](TcxCustomTrackBar* b) { b->SetPosition(3); }},
            {"both sides, numbers", 240, 10, 220, 70,
             [](TcxCustomTrackBar* b) {
               P(b)->SetTickMarks(cxtmBoth);
               P(b)->SetTickType(tbttTicksAndNumbers);
               P(b)->SetMax(20);
               P(b)->SetFrequency(5);
               b->SetPosition(12);
             }},
            {"selection, top ticks", 470, 10, 220, 50,
             [](TcxCustomTrackBar* b) {
               P(b)->SetTickMarks(cxtmTopLeft);
               P(b)->SetSelectionStart(2);
               P(b)->SetSelectionEnd(7);
               b->SetPosition(7);
             }},
            {"change buttons", 10, 90, 220, 45,
             [](TcxCustomTrackBar* b) {
               P(b)->SetShowChangeButtons(true);
               b->SetPosition(6);
             }},
            {"value number", 240, 90, 220, 50,
             [](TcxCustomTrackBar* b) {
               P(b)->SetTickType(tbttValueNumber);
               P(b)->SetMax(100);
               P(b)->SetFrequency(10);
               b->SetPosition(40);
             }},
            {"reversed, disabled", 470, 90, 220, 45,
             [](TcxCustomTrackBar* b) {
               P(b)->SetReverseDirection(true);
               b->SetPosition(2);
               b->SetEnabled(false);
             }},
            {"fixed sizes", 10, 150, 220, 50,
             [](TcxCustomTrackBar* b) {
               P(b)->SetAutoSize(false);
               P(b)->SetTrackSize(3);
               P(b)->SetThumbWidth(11);
               P(b)->SetThumbHeight(22);
               P(b)->SetThumbColor(static_cast<TColor>(0x80C0FF));
               b->SetPosition(9);
             }},
            {"zoom", 240, 150, 220, 40, [](TcxCustomTrackBar* b) { b->SetEditValue(Variant(100)); }, true},
            {"zoom 300", 470, 150, 220, 40, [](TcxCustomTrackBar* b) { b->SetEditValue(Variant(300)); },
             true},
            {"vertical", 10, 210, 60, 200,
             [](TcxCustomTrackBar* b) {
               P(b)->SetOrientation(tboVertical);
               P(b)->SetTickMarks(cxtmBoth);
               b->SetPosition(4);
             }},
            {"vertical numbers", 80, 210, 70, 200,
             [](TcxCustomTrackBar* b) {
               P(b)->SetOrientation(tboVertical);
               P(b)->SetTickType(tbttTicksAndNumbers);
               P(b)->SetSelectionStart(1);
               P(b)->SetSelectionEnd(5);
               b->SetPosition(5);
             }},
            {"vertical text", 160, 210, 70, 200,
             [](TcxCustomTrackBar* b) {
               P(b)->SetOrientation(tboVertical);
               P(b)->SetTextOrientation(tbtoVertical);
               P(b)->SetTickType(tbttNumbers);
               P(b)->SetMax(1000);
               P(b)->SetFrequency(50);
               b->SetPosition(700);
             }},
            {"vertical buttons", 240, 210, 50, 200,
             [](TcxCustomTrackBar* b) {
               P(b)->SetOrientation(tboVertical);
               P(b)->SetShowChangeButtons(true);
               b->SetPosition(8);
             }},
            {"horizontal text 90", 300, 210, 300, 80,
             [](TcxCustomTrackBar* b) {
               P(b)->SetTextOrientation(tbtoVertical);
               P(b)->SetTickType(tbttTicksAndNumbers);
               P(b)->SetMax(250);
               P(b)->SetFrequency(25);
               b->SetPosition(125);
             }},
        };
        TForm* form = tools::NewHostForm(700, 420);
        for (const Cell& cell : cells) {
          TcxCustomTrackBar* bar =
              cell.zoom ? static_cast<TcxCustomTrackBar*>(new TZoomBar(form)) : new TcxTrackBar(form);
          bar->SetParent(form);
          bar->Style()->LookAndFeel()->SetKind(kind);
          bar->Style()->LookAndFeel()->SetNativeStyle(native);
          bar->SetBounds(cell.x, cell.y, cell.w, cell.h);
          cell.setup(bar);
        }
        tools::ShowHostForm(form);
        tools::RepaintHostForm(form);
        const TRect whole{0, 0, form->Width(), form->Height()};
        if (crop.IsEmpty()) crop = whole;
        crop.Right = std::min(crop.Right, whole.Right);
        crop.Bottom = std::min(crop.Bottom, whole.Bottom);
        tools::SizeSheet(sheet, crop.Width(), crop.Height());
        tools::CopyHostPixels(form, crop, sheet, TPoint{0, 0});
        delete form;
      });
}
