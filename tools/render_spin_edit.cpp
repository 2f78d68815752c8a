// Renders a sheet of spin editors into a PNG, for looking at them by eye: one row per button
// arrangement (with and without fast buttons), each normal, focused and disabled, with the
// native look or the classic one. The editors are real controls on a form.
//
//   render_spin_edit OUT.png [--zoom N] [--classic]
#include <cstdio>

#include "render_sheet.h"
#include "ui/editors/concrete/cxSpinEdit.h"

using namespace qd;

namespace {

constexpr int kEditorW = 150, kEditorH = 21;
constexpr int kCellW = 168, kCellH = 36;
constexpr tools::TSheetTable kTable{130, 16, kCellW, kCellH};

struct Row {
  const char* name;
  TcxSpinEditButtonsPosition position;
  bool fast;
};

const Row kRows[] = {
    {"vertical", sbpVert, false},
    {"vertical, fast", sbpVert, true},
    {"horizontal right", sbpHorzRight, false},
    {"horizontal right, fast", sbpHorzRight, true},
    {"left and right", sbpHorzLeftRight, false},
    {"left and right, fast", sbpHorzLeftRight, true},
};

const char* const kStates[] = {"normal", "focused", "disabled"};

TcxCustomTextEdit* NewEditor(TForm* AForm, const Row& ARow, bool ANative) {
  auto* edit = new TcxSpinEdit(AForm);
  edit->SetParent(AForm);
  edit->Style()->LookAndFeel()->SetNativeStyle(ANative);
  edit->SetBounds(10, 8, kEditorW, kEditorH);
  edit->Properties()->SpinButtons()->SetPosition(ARow.position);
  edit->Properties()->SpinButtons()->SetShowFastButtons(ARow.fast);
  edit->SetValue(Variant(int64_t{42}));
  return edit;
}

void ApplyState(TForm* AForm, TcxCustomTextEdit* AEdit, int AState) {
  SetFocus(AForm->Handle());
  if (AState == 1) {
    AEdit->SetFocus();
    Application->ProcessMessages();
  } else if (AState == 2) {
    AEdit->SetEnabled(false);
  }
  Application->ProcessMessages();
  tools::RepaintHostForm(AForm);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: render_spin_edit OUT.png [--zoom N] [--classic]\n");
    return 2;
  }
  const bool native = !tools::HasOption(argc, argv, "--classic");
  return tools::RenderSheetToPng(
      "render_spin_edit", argv[1], tools::ZoomOption(argc, argv), [&](TBitmap& sheet) {
        const int rows = static_cast<int>(std::size(kRows));
        const int columns = static_cast<int>(std::size(kStates));
        tools::SizeSheet(sheet, kTable.Width(columns), kTable.Height(rows));
        TcxCanvas canvas(sheet.Canvas());
        tools::PrepareSheet(sheet, canvas);
        kTable.DrawNames(canvas, tools::NamesOf(kRows), tools::NamesOf(kStates));
        TForm* form = tools::NewHostForm(kCellW, kCellH);
        tools::ShowHostForm(form);
        for (int r = 0; r < rows; ++r)
          for (int c = 0; c < columns; ++c) {
            TcxCustomTextEdit* edit = NewEditor(form, kRows[r], native);
            Application->ProcessMessages();
            ApplyState(form, edit, c);
            tools::CopyHostPixels(form, TRect{0, 0, kCellW, kCellH}, sheet, kTable.CellOrigin(r, c));
            SetFocus(form->Handle());
            delete edit;
          }
        delete form;
      });
}
