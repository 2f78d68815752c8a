// Renders a sheet of text and mask editors into a PNG, for looking at them by eye: one row per
// editor (plain, right-aligned, password, standard mask, regular-expression mask, no-edit
// style), each normal, focused and disabled, with the native look and the classic one. The
// editors are real controls on a form; each cell is read back from the window.
//
//   render_text_editors OUT.png [--zoom N] [--classic]
#include <cstdio>

#include "render_sheet.h"
#include "ui/editors/cxMaskEdit.h"
#include "ui/editors/cxTextEdit.h"

using namespace qd;

namespace {

constexpr int kEditorW = 150, kEditorH = 21;
constexpr int kCellW = 168, kCellH = 36;
constexpr tools::TSheetTable kTable{130, 16, kCellW, kCellH};

enum class RowKind { Plain, Right, Password, StandardMask, RegExprMask, NoEdit };

struct Row {
  const char* name;
  RowKind kind;
};

const Row kRows[] = {
    {"text", RowKind::Plain},
    {"right aligned", RowKind::Right},
    {"password", RowKind::Password},
    {"mask (999)000-0000", RowKind::StandardMask},
    {"mask \\d+ (regexp)", RowKind::RegExprMask},
    {"no edit (hide cursor)", RowKind::NoEdit},
};

const char* const kStates[] = {"normal", "focused", "disabled"};

TcxCustomTextEdit* NewEditor(TForm* AForm, RowKind AKind, bool ANative) {
  TcxCustomTextEdit* edit = nullptr;
  if (AKind == RowKind::StandardMask || AKind == RowKind::RegExprMask) {
    auto* mask = new TcxMaskEdit(AForm);
    mask->SetParent(AForm);
    mask->Properties()->BeginUpdate();
    mask->Properties()->SetMaskKind(AKind == RowKind::StandardMask ? emkStandard : emkRegExpr);
    mask->Properties()->SetEditMask(AKind == RowKind::StandardMask ? u"(999)000-0000" : u"\\d+");
    mask->Properties()->EndUpdate();
    edit = mask;
  } else {
    edit = new TcxTextEdit(AForm);
    edit->SetParent(AForm);
  }
  edit->Style()->LookAndFeel()->SetNativeStyle(ANative);
  edit->SetBounds(10, 8, kEditorW, kEditorH);
  switch (AKind) {
    case RowKind::Right:
      edit->ActiveProperties()->Alignment()->SetHorz(taRightJustify);
      edit->SetEditValue(Variant(String(u"1234.50")));
      break;
    case RowKind::Password:
      edit->ActiveProperties()->SetEchoMode(eemPassword);
      edit->SetEditValue(Variant(String(u"secret")));
      break;
    case RowKind::StandardMask:
      edit->SetEditValue(Variant(String(u"(555)12 -    ")));
      break;
    case RowKind::RegExprMask:
      edit->SetEditValue(Variant(String(u"12345")));
      break;
    case RowKind::NoEdit:
      edit->ActiveProperties()->SetHideCursor(true);
      edit->SetEditValue(Variant(String(u"Fixed text")));
      break;
    default:
      edit->SetEditValue(Variant(String(u"Hello, world")));
      break;
  }
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
    std::fprintf(stderr, "usage: render_text_editors OUT.png [--zoom N] [--classic]\n");
    return 2;
  }
  const bool native = !tools::HasOption(argc, argv, "--classic");
  return tools::RenderSheetToPng(
      "render_text_editors", argv[1], tools::ZoomOption(argc, argv), [&](TBitmap& sheet) {
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
            TcxCustomTextEdit* edit = NewEditor(form, kRows[r].kind, native);
            Application->ProcessMessages();
            ApplyState(form, edit, c);
            tools::CopyHostPixels(form, TRect{0, 0, kCellW, kCellH}, sheet, kTable.CellOrigin(r, c));
            SetFocus(form->Handle());
            delete edit;
          }
        delete form;
      });
}
