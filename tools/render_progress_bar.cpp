// Renders a sheet of progress bars into a PNG, for looking at them by eye: one row per bar
// style and option (solid, gradient, bitmap and animated fills, LEDs, bevels, overload, peak,
// marquee, caption styles, right-to-left, vertical, the updater's own settings and a skin),
// in the classic UltraFlat look and in the native look. The bars are real controls on a form;
// each cell is read back from the window.
//
//   render_progress_bar OUT.png [--zoom N]
#include <cstdio>
#include <functional>

#include "platform/os/kernel.h"
#include "render_sheet.h"
#include "ui/editors/concrete/cxProgressBar.h"

using namespace qd;

namespace {

constexpr int kCellW = 232, kCellH = 44;
constexpr tools::TSheetTable kTable{150, 16, kCellW, kCellH};
constexpr int kBarW = 210, kBarH = 24;

using TSetup = std::function<void(TcxProgressBar*)>;

struct BarRow {
  const char* name;
  TSetup setup;
  bool vertical = false;
  bool animate = false;
};

// A 6 x 6 two-colour check for the bitmap styles, assigned whole (drawing on the canvas of
// the properties' bitmap would not announce a change).
void MakeStripes(TcxProgressBar* ABar) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(6, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x)
      bitmap.Canvas()->SetPixels(x, y, ((x / 3 + y / 3) % 2) ? static_cast<TColor>(0x2080F0) : clYellow);
  ABar->Properties()->SetForegroundImage(&bitmap);
}

const BarRow kRows[] = {
    {"solid 45", [](TcxProgressBar* b) { b->SetPosition(45); }},
    {"solid raised",
     [](TcxProgressBar* b) {
       b->Properties()->SetBarBevelOuter(cxbvRaised);
       b->SetPosition(45);
     }},
    {"LEDs lowered",
     [](TcxProgressBar* b) {
       b->Properties()->SetBarStyle(cxbsLEDs);
       b->Properties()->SetBarBevelOuter(cxbvLowered);
       b->SetPosition(45);
     }},
    {"gradient 60",
     [](TcxProgressBar* b) {
       b->Properties()->SetBarStyle(cxbsGradient);
       b->SetPosition(60);
     }},
    {"gradient LEDs",
     [](TcxProgressBar* b) {
       b->Properties()->SetBarStyle(cxbsGradientLEDs);
       b->SetPosition(60);
     }},
    {"overload solid 92",
     [](TcxProgressBar* b) {
       b->Properties()->SetShowOverload(true);
       b->SetPosition(92);
     }},
    {"overload gradient",
     [](TcxProgressBar* b) {
       b->Properties()->SetBarStyle(cxbsGradient);
       b->Properties()->SetShowOverload(true);
       b->SetPosition(92);
     }},
    {"overload LEDs",
     [](TcxProgressBar* b) {
       b->Properties()->SetBarStyle(cxbsLEDs);
       b->Properties()->SetShowOverload(true);
       b->SetPosition(92);
     }},
    {"peak 70 then 40",
     [](TcxProgressBar* b) {
       b->Properties()->SetShowPeak(true);
       b->Properties()->SetPeakSize(3);
       b->SetPosition(70);
       b->SetPosition(40);
     }},
    {"bitmap 55",
     [](TcxProgressBar* b) {
       b->Properties()->SetBarStyle(cxbsBitmap);
       MakeStripes(b);
       b->SetPosition(55);
     }},
    {"bitmap LEDs",
     [](TcxProgressBar* b) {
       b->Properties()->SetBarStyle(cxbsBitmapLEDs);
       MakeStripes(b);
       b->SetPosition(55);
     }},
    {"animation 70",
     [](TcxProgressBar* b) {
       b->Properties()->SetBarStyle(cxbsAnimation);
       b->SetPosition(70);
     },
     false, true},
    {"animation LEDs",
     [](TcxProgressBar* b) {
       b->Properties()->SetBarStyle(cxbsAnimationLEDs);
       b->SetPosition(70);
     },
     false, true},
    {"marquee",
     [](TcxProgressBar* b) {
       b->Properties()->SetMarquee(true);
       b->Properties()->SetText(u"Aguarde");
     },
     false, true},
    {"position text",
     [](TcxProgressBar* b) {
       b->Properties()->SetShowTextStyle(cxtsPosition);
       b->SetPosition(33.25);
     }},
    {"fixed text",
     [](TcxProgressBar* b) {
       b->Properties()->SetText(u"Copiando arquivos");
       b->SetPosition(80);
     }},
    {"right to left 30",
     [](TcxProgressBar* b) {
       b->SetBiDiMode(bdRightToLeft);
       b->SetPosition(30);
     }},
    {"vertical 65",
     [](TcxProgressBar* b) {
       b->Properties()->SetOrientation(cxorVertical);
       b->Properties()->SetShowText(false);
       b->Properties()->SetShowPeak(true);
       b->SetPosition(80);
       b->SetPosition(65);
     },
     true},
    {"vertical text",
     [](TcxProgressBar* b) {
       b->Properties()->SetOrientation(cxorVertical);
       b->Properties()->SetTextOrientation(cxorVertical);
       b->Properties()->SetShowTextStyle(cxtsText);
       b->Properties()->SetText(u"12");
       b->Properties()->SetSolidTextColor(true);
       b->SetPosition(40);
     },
     true},
    {"border width 3",
     [](TcxProgressBar* b) {
       b->Properties()->SetBorderWidth(3);
       b->SetPosition(50);
     }},
    {"updater",
     [](TcxProgressBar* b) {
       b->Properties()->SetBarStyle(cxbsGradient);
       b->Properties()->SetPeakValue(50);
       b->Properties()->SetSolidTextColor(true);
       b->Font()->SetName(u"Segoe UI");
       b->Font()->SetHeight(-11);
       b->SetPosition(5);
     }},
    {"skin UserSkin",
     [](TcxProgressBar* b) {
       b->Style()->LookAndFeel()->SetNativeStyle(false);
       b->Style()->LookAndFeel()->SetSkinName(u"UserSkin");
       b->SetPosition(40);
     }},
};

const char* const kLooks[] = {"ultra flat", "native"};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: render_progress_bar OUT.png [--zoom N]\n");
    return 2;
  }
  return tools::RenderSheetToPng(
      "render_progress_bar", argv[1], tools::ZoomOption(argc, argv), [&](TBitmap& sheet) {
        const int rows = static_cast<int>(std::size(kRows));
        const int columns = static_cast<int>(std::size(kLooks));
        tools::SizeSheet(sheet, kTable.Width(columns), kTable.Height(rows));
        TcxCanvas canvas(sheet.Canvas());
        tools::PrepareSheet(sheet, canvas);
        kTable.DrawNames(canvas, tools::NamesOf(kRows), tools::NamesOf(kLooks));
        TForm* form = tools::NewHostForm(kCellW, kCellH);
        tools::ShowHostForm(form);
        for (int r = 0; r < rows; ++r)
          for (int c = 0; c < columns; ++c) {
            auto* bar = new TcxProgressBar(form);
            bar->Style()->LookAndFeel()->SetKind(lfUltraFlat);
            bar->Style()->LookAndFeel()->SetNativeStyle(c == 1);
            bar->SetEditAutoSize(false);
            bar->SetParent(form);
            if (kRows[r].vertical)
              bar->SetBounds(10, 2, 28, kCellH - 4);
            else
              bar->SetBounds(10, (kCellH - kBarH) / 2, kBarW, kBarH);
            kRows[r].setup(bar);
            Application->ProcessMessages();
            // Let the 30 ms animation move the block a little way in.
            if (kRows[r].animate)
              for (int i = 0; i < 8; ++i) {
                Sleep(35);
                Application->ProcessMessages();
              }
            tools::RepaintHostForm(form);
            tools::CopyHostPixels(form, TRect{0, 0, kCellW, kCellH}, sheet, kTable.CellOrigin(r, c));
            delete bar;
          }
        delete form;
      });
}
