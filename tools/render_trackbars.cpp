// Renders a sheet of track bars into a PNG, for looking at them by eye: horizontal and vertical
// bars with ticks on either or both sides, numbers, a selection, change buttons, a reversed bar,
// a disabled one, and the zoom track bar. The bars are real controls on a form read back from
// the window.
//
//   render_trackbars OUT.png [--zoom N] [--kind standard|flat|ultraflat|office11] [--native]
//                    [--crop X,Y,W,H]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "gallery_png.h"
#include "platform/forms/forms.h"
#include "platform/os/user.h"
#include "platform/os/user_display.h"
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

TcxLookAndFeelKind KindOf(const char* AName) {
  if (std::strcmp(AName, "standard") == 0) return lfStandard;
  if (std::strcmp(AName, "flat") == 0) return lfFlat;
  if (std::strcmp(AName, "office11") == 0) return lfOffice11;
  return lfUltraFlat;
}

TcxCustomTrackBarProperties* P(TcxCustomTrackBar* ABar) {
  return ABar->Properties();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: render_trackbars OUT.png [--zoom N] [--kind K] [--native]\n");
    return 2;
  }
  int zoom = 2;
  TcxLookAndFeelKind kind = lfUltraFlat;
  bool native = false;
  TRect crop{0, 0, 0, 0};
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--crop") == 0 && i + 1 < argc) {
      int x = 0, y = 0, w = 0, h = 0;
      if (std::sscanf(argv[i + 1], "%d,%d,%d,%d", &x, &y, &w, &h) == 4) crop = TRect{x, y, x + w, y + h};
    }
    if (std::strcmp(argv[i], "--zoom") == 0 && i + 1 < argc) zoom = std::max(1, std::atoi(argv[i + 1]));
    if (std::strcmp(argv[i], "--kind") == 0 && i + 1 < argc) kind = KindOf(argv[i + 1]);
    if (std::strcmp(argv[i], "--native") == 0) native = true;
  }
  InitializeUnits();
  bool ok = false;
  {
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
        {"zoom 300", 470, 150, 220, 40, [](TcxCustomTrackBar* b) { b->SetEditValue(Variant(300)); }, true},
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
    TForm* form = CreateNewForm<TForm>(Application);
    form->SetPosition(poDesigned);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 700, 420);
    form->SetColor(clWhite);
    for (const Cell& cell : cells) {
      TcxCustomTrackBar* bar =
          cell.zoom ? static_cast<TcxCustomTrackBar*>(new TZoomBar(form)) : new TcxTrackBar(form);
      bar->SetParent(form);
      bar->Style()->LookAndFeel()->SetKind(kind);
      bar->Style()->LookAndFeel()->SetNativeStyle(native);
      bar->SetBounds(cell.x, cell.y, cell.w, cell.h);
      cell.setup(bar);
    }
    form->Show();
    Application->ProcessMessages();
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const os::WindowPixels pixels = os::ReadWindowPixels(form->Handle(), true);
    if (crop.IsEmpty()) crop = TRect{0, 0, pixels.width, pixels.height};
    crop.Right = std::min(crop.Right, pixels.width);
    crop.Bottom = std::min(crop.Bottom, pixels.height);
    TBitmap sheet;
    sheet.SetPixelFormat(pf32bit);
    sheet.SetSize(crop.Width(), crop.Height());
    for (int y = 0; y < crop.Height(); ++y) {
      auto* row = static_cast<uint32_t*>(sheet.ScanLine(y));
      for (int x = 0; x < crop.Width(); ++x)
        row[x] = 0xFF000000u | (pixels.At(crop.Left + x, crop.Top + y) & 0xFFFFFF);
    }
    delete form;
    ok = tools::SaveGalleryPng(sheet, zoom, argv[1]);
  }
  FinalizeUnits();
  if (!ok) {
    std::fprintf(stderr, "render_trackbars: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
