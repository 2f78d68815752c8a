// Renders a sheet of editors with embedded buttons into a PNG, for looking at them by eye: one
// row per button style (3D, flat, simple, hot-flat, ultra-flat, Office11 with and without
// gradient buttons) and per native look (visual styles, a single combo-box button), each in
// the editor states normal, hot, focused and disabled and with its last button hot and
// pressed. The editors are real controls on a form; each cell is read back from the window.
//
//   render_editors OUT.png [--zoom N] [--kind standard|flat|ultraflat|office11]
#include <cstdio>

#include "render_sheet.h"
#include "ui/editors/cxEdit.h"

using namespace qd;

namespace {

constexpr int kEditorW = 150, kEditorH = 24;
constexpr int kCellW = 168, kCellH = 40;
constexpr tools::TSheetTable kTable{120, 16, kCellW, kCellH};

struct EditorRow {
  const char* name;
  TcxEditButtonStyle style;  // btsDefault: native rows
  bool native;
  bool gradient;
  bool comboOnly;  // a single drop-down button
};

const EditorRow kEditorRows[] = {
    {"3D", bts3D, false, false, false},
    {"flat", btsFlat, false, false, false},
    {"simple", btsSimple, false, false, false},
    {"hot flat", btsHotFlat, false, false, false},
    {"ultra flat", btsUltraFlat, false, false, false},
    {"office 11", btsOffice11, false, false, false},
    {"office 11 gradient", btsOffice11, false, true, false},
    {"native", btsDefault, true, false, false},
    {"native combo", btsDefault, true, false, true},
    {"classic combo", btsDefault, false, false, true},
};

const char* const kEditorStates[] = {"normal", "hot", "focused", "disabled", "button hot", "button pressed"};

// A 16 x 16 glyph: a green disc with a white plus on a transparent ground.
void MakeEditorGlyph(TdxSmartGlyph* AGlyph) {
  TcxBitmap32 bitmap(16, 16, true);
  TRGBColors colors(16 * 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      RGBQUAD& c = colors[static_cast<size_t>((15 - y) * 16 + x)];  // bottom-up rows
      const int dx = 2 * x - 15, dy = 2 * y - 15;
      if (dx * dx + dy * dy > 14 * 14) continue;
      const bool plus = (x >= 7 && x <= 8 && y >= 4 && y <= 11) || (y >= 7 && y <= 8 && x >= 4 && x <= 11);
      c = plus ? RGBQUAD{255, 255, 255, 255} : RGBQUAD{0x57, 0x8B, 0x2E, 255};
    }
  bitmap.SetBitmapColors(colors);
  AGlyph->SetBitmap(&bitmap);
}

TcxCustomEdit* NewEditor(TForm* AForm, const EditorRow& ARow, TcxLookAndFeelKind AKind) {
  auto* edit = new TcxCustomEdit(AForm);
  edit->Style()->LookAndFeel()->SetKind(AKind);
  edit->Style()->LookAndFeel()->SetNativeStyle(ARow.native);
  if (ARow.style != btsDefault) edit->Style()->SetButtonStyle(ARow.style);
  edit->Style()->SetGradientButtons(ARow.gradient);
  TcxCustomEditButtons* buttons = edit->Properties()->Buttons();
  if (ARow.comboOnly) {
    buttons->Add()->SetKind(bkDown);
  } else {
    TcxCustomEditButton* glyph = buttons->Add();
    glyph->SetKind(bkGlyph);
    glyph->SetLeftAlignment(true);
    MakeEditorGlyph(glyph->Glyph());
    TcxCustomEditButton* text = buttons->Add();
    text->SetKind(bkText);
    text->SetCaption(u"&Go");
    buttons->Add()->SetKind(bkEllipsis);
    buttons->Add()->SetKind(bkDown);
  }
  edit->SetParent(AForm);
  edit->SetBounds(10, 8, kEditorW, kEditorH);
  return edit;
}

// Puts the editor into the state of column AState.
void ApplyEditorState(TForm* AForm, TcxCustomEdit* AEdit, int AState) {
  SetFocus(AForm->Handle());
  AEdit->RefreshContainer(cxInvalidPoint, cxmbNone, TShiftState{}, false);
  TcxCustomEditViewInfo* vi = AEdit->ViewInfo();
  const TRect last = vi->ButtonCount() > 0 ? vi->ButtonsInfo.back()->Bounds : TRect{};
  const TPoint lastCentre{(last.Left + last.Right) / 2, (last.Top + last.Bottom) / 2};
  switch (AState) {
    case 1:
      AEdit->RefreshContainer(TPoint{40, kEditorH / 2}, cxmbNone, TShiftState{}, true);
      break;
    case 2:
      AEdit->SetFocus();
      Application->ProcessMessages();
      break;
    case 3:
      AEdit->SetEnabled(false);
      break;
    case 4:
      AEdit->RefreshContainer(lastCentre, cxmbNone, TShiftState{}, true);
      break;
    case 5:
      AEdit->RefreshContainer(lastCentre, cxmbLeft, TShiftState{ssLeft}, true);
      break;
  }
  tools::RepaintHostForm(AForm);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: render_editors OUT.png [--zoom N] [--kind standard|flat|ultraflat|office11]\n");
    return 2;
  }
  const TcxLookAndFeelKind kind = tools::KindOption(argc, argv);
  return tools::RenderSheetToPng(
      "render_editors", argv[1], tools::ZoomOption(argc, argv), [&](TBitmap& sheet) {
        const int rows = static_cast<int>(std::size(kEditorRows));
        const int columns = static_cast<int>(std::size(kEditorStates));
        tools::SizeSheet(sheet, kTable.Width(columns), kTable.Height(rows));
        TcxCanvas canvas(sheet.Canvas());
        tools::PrepareSheet(sheet, canvas);
        kTable.DrawNames(canvas, tools::NamesOf(kEditorRows), tools::NamesOf(kEditorStates));
        TForm* form = tools::NewHostForm(kCellW, kCellH);
        tools::ShowHostForm(form);
        for (int r = 0; r < rows; ++r)
          for (int c = 0; c < columns; ++c) {
            TcxCustomEdit* edit = NewEditor(form, kEditorRows[r], kind);
            Application->ProcessMessages();
            ApplyEditorState(form, edit, c);
            tools::CopyHostPixels(form, TRect{0, 0, kCellW, kCellH}, sheet, kTable.CellOrigin(r, c));
            SetFocus(form->Handle());
            delete edit;
          }
        delete form;
      });
}
