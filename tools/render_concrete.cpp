// Renders a sheet of concrete editors into a PNG, for looking at them by eye. Labels: the
// updater's two labels, raised and lowered text at 10 and 12 points, the depth effects, the
// outline and glyph-filled text, rotations, the etched line in its alignments, word wrap and
// end ellipsis, and a disabled label. Each cell is a real control on a form, read back from the
// window.
//
//   render_concrete OUT.png [--zoom N]
#include <cstdio>
#include <functional>
#include <vector>

#include "render_sheet.h"
#include "ui/editors/concrete/cxLabel.h"

using namespace qd;

namespace {

constexpr int kCellW = 220, kCellH = 64, kNameH = 14, kColumns = 4;

struct LabelCell {
  const char* name;
  std::function<void(TcxLabel*)> setup;
};

void Font(TcxLabel* ALabel, const char16_t* AName, int AHeight, bool ABold = false) {
  TFont* font = ALabel->Style()->Font();
  font->SetName(AName);
  font->SetHeight(AHeight);
  font->SetStyle(ABold ? TFontStyles{fsBold} : TFontStyles{});
}

void Points(TcxLabel* ALabel, int APoints) {
  TFont* font = ALabel->Style()->Font();
  font->SetName(u"DejaVu Sans");
  font->SetSize(APoints);
  font->SetStyle(TFontStyles{fsBold});
}

// A 8 x 8 glyph of diagonal orange and green stripes.
void StripedGlyph(TdxSmartGlyph* AGlyph) {
  TcxBitmap32 bitmap(8, 8, true);
  TRGBColors colors(64);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      colors[static_cast<size_t>(y * 8 + x)] =
          ((x + y) / 2) % 2 ? RGBQUAD{0x20, 0x8C, 0xF0, 255} : RGBQUAD{0x40, 0xA0, 0x20, 255};
  bitmap.SetBitmapColors(colors);
  AGlyph->SetBitmap(&bitmap);
}

void Effect(TcxLabel* ALabel, TcxLabelEffect AEffect, TcxLabelOrientation AOrientation, int ADepth) {
  Points(ALabel, 16);
  ALabel->Properties()->SetLabelEffect(AEffect);
  ALabel->Properties()->SetOrientation(AOrientation);
  ALabel->Properties()->SetDepth(static_cast<uint16_t>(ADepth));
}

void Line(TcxLabel* ALabel, TcxLabelLineAlignment ALine, TAlignment AHorz, TcxEditVertAlignment AVert) {
  ALabel->SetEditAutoSize(false);
  ALabel->SetBounds(8, 4, kCellW - 16, kCellH - kNameH - 8);
  ALabel->Properties()->Alignment()->SetHorz(AHorz);
  ALabel->Properties()->Alignment()->SetVert(AVert);
  ALabel->Properties()->LineOptions()->SetAlignment(ALine);
  ALabel->Properties()->LineOptions()->SetVisible(true);
}

void Rotated(TcxLabel* ALabel, int AAngle) {
  Points(ALabel, 11);
  ALabel->SetEditAutoSize(false);
  ALabel->SetBounds(8, 2, kCellW - 16, kCellH - kNameH - 4);
  ALabel->Properties()->Alignment()->SetHorz(taCenter);
  ALabel->Properties()->Alignment()->SetVert(taVCenter);
  ALabel->Properties()->SetAngle(AAngle);
  ALabel->SetCaption(u"Rotated");
}

const std::vector<LabelCell>& Cells() {
  static const std::vector<LabelCell> cells = {
      {"lblStatus (transparent)",
       [](TcxLabel* l) {
         Font(l, u"Segoe UI", -13);
         l->SetCaption(u"Iniciando operação...");
         l->SetTransparent(true);
       }},
      {"Label1 (bold, transparent)",
       [](TcxLabel* l) {
         Font(l, u"Segoe UI", -16, true);
         l->SetCaption(u"Por favor aguarde...");
         l->SetTransparent(true);
       }},
      {"disabled",
       [](TcxLabel* l) {
         Font(l, u"Segoe UI", -13);
         l->SetCaption(u"Desabilitado");
         l->SetEnabled(false);
       }},
      {"accelerator &Nome",
       [](TcxLabel* l) {
         Font(l, u"Segoe UI", -13);
         l->SetCaption(u"&Nome do módulo");
       }},
      {"raised 10 pt",
       [](TcxLabel* l) {
         Points(l, 10);
         l->Properties()->SetLabelStyle(cxlsRaised);
       }},
      {"raised 12 pt",
       [](TcxLabel* l) {
         Points(l, 12);
         l->Properties()->SetLabelStyle(cxlsRaised);
       }},
      {"lowered 10 pt",
       [](TcxLabel* l) {
         Points(l, 10);
         l->Properties()->SetLabelStyle(cxlsLowered);
       }},
      {"lowered 12 pt",
       [](TcxLabel* l) {
         Points(l, 12);
         l->Properties()->SetLabelStyle(cxlsLowered);
       }},
      {"extrude, right bottom, 4", [](TcxLabel* l) { Effect(l, cxleExtrude, cxoRightBottom, 4); }},
      {"cool, right bottom, 4", [](TcxLabel* l) { Effect(l, cxleCool, cxoRightBottom, 4); }},
      {"fun, right bottom, 6", [](TcxLabel* l) { Effect(l, cxleFun, cxoRightBottom, 6); }},
      {"extrude, left top, 3", [](TcxLabel* l) { Effect(l, cxleExtrude, cxoLeftTop, 3); }},
      {"outline, pen 1",
       [](TcxLabel* l) {
         Points(l, 22);
         l->Properties()->SetLabelStyle(cxlsOutLine);
       }},
      {"outline, pen 2",
       [](TcxLabel* l) {
         Points(l, 22);
         l->Properties()->SetLabelStyle(cxlsOutLine);
         l->Properties()->SetPenWidth(2);
       }},
      {"glyph filled",
       [](TcxLabel* l) {
         Points(l, 22);
         StripedGlyph(l->Properties()->Glyph());
       }},
      {"glyph filled, outline",
       [](TcxLabel* l) {
         Points(l, 22);
         StripedGlyph(l->Properties()->Glyph());
         l->Properties()->SetLabelStyle(cxlsOutLine);
       }},
      {"angle 45", [](TcxLabel* l) { Rotated(l, 45); }},
      {"angle 90", [](TcxLabel* l) { Rotated(l, 90); }},
      {"angle 180", [](TcxLabel* l) { Rotated(l, 180); }},
      {"angle -90, extrude 2",
       [](TcxLabel* l) {
         Rotated(l, -90);
         l->Properties()->SetLabelEffect(cxleExtrude);
         l->Properties()->SetDepth(2);
       }},
      {"line centre, text left", [](TcxLabel* l) { Line(l, cxllaCenter, taLeftJustify, taVCenter); }},
      {"line centre, text right", [](TcxLabel* l) { Line(l, cxllaCenter, taRightJustify, taVCenter); }},
      {"line top", [](TcxLabel* l) { Line(l, cxllaTop, taLeftJustify, taTopJustify); }},
      {"line bottom", [](TcxLabel* l) { Line(l, cxllaBottom, taCenter, taBottomJustify); }},
      {"line beside angle 90",
       [](TcxLabel* l) {
         Line(l, cxllaCenter, taCenter, taTopJustify);
         l->Properties()->SetAngle(90);
         l->SetCaption(u"Abc");
       }},
      {"word wrap",
       [](TcxLabel* l) {
         Font(l, u"Segoe UI", -12);
         l->SetCaption(u"Baixando arquivos da nova versão, por favor aguarde");
         l->Properties()->SetWordWrap(true);
         l->SetEditAutoSize(false);
         l->SetBounds(8, 2, kCellW - 16, kCellH - kNameH - 4);
       }},
      {"end ellipsis",
       [](TcxLabel* l) {
         Font(l, u"Segoe UI", -12);
         l->SetCaption(u"Baixando arquivos da nova versão, por favor aguarde");
         l->Properties()->SetShowEndEllipsis(true);
         l->SetEditAutoSize(false);
         l->SetBounds(8, 8, kCellW - 16, 20);
       }},
      {"opaque, own colour",
       [](TcxLabel* l) {
         Font(l, u"Segoe UI", -13);
         l->Style()->SetColor(static_cast<TColor>(0xE0F0FF));
         l->Style()->SetTextColor(static_cast<TColor>(0x803000));
       }},
  };
  return cells;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: render_concrete OUT.png [--zoom N]\n");
    return 2;
  }
  return tools::RenderSheetToPng(
      "render_concrete", argv[1], tools::ZoomOption(argc, argv), [&](TBitmap& sheet) {
        const int count = static_cast<int>(Cells().size());
        const int rows = (count + kColumns - 1) / kColumns;
        tools::SizeSheet(sheet, kColumns * kCellW, rows * kCellH);
        TcxCanvas canvas(sheet.Canvas());
        tools::PrepareSheet(sheet, canvas, -10);
        // A tinted ground shows which labels are transparent and where highlights fall.
        TForm* form = tools::NewHostForm(kCellW, kCellH - kNameH, static_cast<TColor>(0xF4E8D8));
        tools::ShowHostForm(form);
        for (int i = 0; i < count; ++i) {
          const LabelCell& cell = Cells()[static_cast<size_t>(i)];
          const int x = (i % kColumns) * kCellW, y = (i / kColumns) * kCellH;
          auto* label = static_cast<TcxLabel*>(TcxLabel::StaticClass()->Create(form));
          label->SetParent(form);
          label->SetLeft(8);
          label->SetTop(6);
          label->SetCaption(u"Quarrendelvish");
          cell.setup(label);
          Application->ProcessMessages();
          tools::RepaintHostForm(form);
          tools::CopyHostPixels(form, TRect{0, 0, kCellW, kCellH - kNameH}, sheet, TPoint{x, y});
          tools::DrawCaption(canvas, cell.name, TRect{x + 4, y + kCellH - kNameH, x + kCellW, y + kCellH},
                             cxAlignLeft | cxAlignVCenter | cxSingleLine);
          delete label;
        }
        delete form;
      });
}
