// Renders a sheet of spin editors into a PNG, for looking at them by eye: one row per button
// arrangement (with and without fast buttons) in each reading direction, one column per look
// (the flat, hot-flat, standard, ultra-flat and Office 11 styles, the theme, the skin). The
// editors are real controls on a form, all in one state: normal, focused, disabled, or
// focused with the Up key held.
//
//   render_spin_edit OUT.png [--zoom N] [--state normal|focused|disabled|held] [--touch]
//                    [--look flat|hotflat|standard|ultraflat|office11|theme|skin]
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "render_sheet.h"
#include "ui/editors/concrete/cxSpinEdit.h"
#include "ui/lookandfeel/cxLookAndFeels.h"

using namespace qd;

namespace {

constexpr int kEditorW = 150, kEditorH = 21;
constexpr int kCellW = 168, kCellH = 36;
constexpr tools::TSheetTable kTable{170, 16, kCellW, kCellH};

struct Row {
  const char* name;
  TcxSpinEditButtonsPosition position;
  bool fast;
  bool rightToLeft;
};

const Row kRows[] = {
    {"vertical", sbpVert, false, false},
    {"vertical, fast", sbpVert, true, false},
    {"horizontal right", sbpHorzRight, false, false},
    {"horizontal right, fast", sbpHorzRight, true, false},
    {"left and right", sbpHorzLeftRight, false, false},
    {"left and right, fast", sbpHorzLeftRight, true, false},
    {"vertical, rtl", sbpVert, false, true},
    {"vertical, fast, rtl", sbpVert, true, true},
    {"horizontal right, rtl", sbpHorzRight, false, true},
    {"horz. right, fast, rtl", sbpHorzRight, true, true},
    {"left and right, rtl", sbpHorzLeftRight, false, true},
    {"left and right, fast, rtl", sbpHorzLeftRight, true, true},
};

enum class Look { Flat, HotFlat, Standard, UltraFlat, Office11, Native, Skin };
struct Column {
  const char* name;
  Look look;
};
const Column kColumns[] = {{"flat", Look::Flat},         {"hotflat", Look::HotFlat},
                           {"standard", Look::Standard}, {"ultraflat", Look::UltraFlat},
                           {"office11", Look::Office11}, {"theme", Look::Native},
                           {"skin", Look::Skin}};

void SetLook(TcxSpinEdit* AEdit, Look ALook) {
  TcxLookAndFeel* lookAndFeel = AEdit->Style()->LookAndFeel();
  lookAndFeel->SetNativeStyle(ALook == Look::Native);
  switch (ALook) {
    case Look::Flat:
      lookAndFeel->SetKind(lfFlat);
      AEdit->Style()->SetButtonStyle(btsFlat);
      break;
    case Look::HotFlat:
      lookAndFeel->SetKind(lfFlat);
      AEdit->Style()->SetButtonStyle(btsHotFlat);
      break;
    case Look::Standard:
    case Look::Native:
      lookAndFeel->SetKind(lfStandard);
      break;
    case Look::UltraFlat:
      lookAndFeel->SetKind(lfUltraFlat);
      break;
    case Look::Office11:
      lookAndFeel->SetKind(lfOffice11);
      break;
    case Look::Skin:
      lookAndFeel->SetSkinName(u"UserSkin");
      break;
  }
}

TcxSpinEdit* NewEditor(TForm* AForm, const Row& ARow, Look ALook) {
  auto* edit = new TcxSpinEdit(AForm);
  edit->SetParent(AForm);
  SetLook(edit, ALook);
  edit->SetBounds(10, 8, kEditorW, kEditorH);
  edit->Properties()->SpinButtons()->SetPosition(ARow.position);
  edit->Properties()->SpinButtons()->SetShowFastButtons(ARow.fast);
  if (ARow.rightToLeft) edit->SetBiDiMode(bdRightToLeft);
  edit->SetValue(Variant(int64_t{42}));
  return edit;
}

void ApplyState(TForm* AForm, TcxSpinEdit* AEdit, const char* AState) {
  SetFocus(AForm->Handle());
  if (std::strcmp(AState, "focused") == 0 || std::strcmp(AState, "held") == 0) {
    AEdit->SetFocus();
    Application->ProcessMessages();
    if (std::strcmp(AState, "held") == 0) SendMessageW(GetFocus(), WM_KEYDOWN, VK_UP, 0);
  } else if (std::strcmp(AState, "disabled") == 0) {
    AEdit->SetEnabled(false);
  }
  AEdit->ShortRefreshContainer(false);
  Application->ProcessMessages();
  tools::RepaintHostForm(AForm);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: render_spin_edit OUT.png [--zoom N] [--state normal|focused|disabled|held] "
                 "[--touch]\n");
    return 2;
  }
  const char* state = tools::OptionValue(argc, argv, "--state");
  if (!state) state = "normal";
  const bool touch = tools::HasOption(argc, argv, "--touch");
  // One look only, when asked for.
  std::vector<Column> looks(std::begin(kColumns), std::end(kColumns));
  if (const char* look = tools::OptionValue(argc, argv, "--look")) {
    std::erase_if(looks, [&](const Column& AColumn) {
      std::string name = AColumn.name;
      std::erase(name, ' ');
      return name != look;
    });
    if (looks.empty()) {
      std::fprintf(stderr, "render_spin_edit: unknown look %s\n", look);
      return 2;
    }
  }
  return tools::RenderSheetToPng(
      "render_spin_edit", argv[1], tools::ZoomOption(argc, argv), [&](TBitmap& sheet) {
        cxIsTouchModeEnabled = touch;
        const int rows = static_cast<int>(std::size(kRows));
        const int columns = static_cast<int>(looks.size());
        tools::SizeSheet(sheet, kTable.Width(columns), kTable.Height(rows));
        TcxCanvas canvas(sheet.Canvas());
        tools::PrepareSheet(sheet, canvas);
        std::vector<const char*> names;
        for (const Column& column : looks) names.push_back(column.name);
        kTable.DrawNames(canvas, tools::NamesOf(kRows), names);
        TForm* form = tools::NewHostForm(kCellW, kCellH);
        tools::ShowHostForm(form);
        for (int r = 0; r < rows; ++r)
          for (int c = 0; c < columns; ++c) {
            TcxSpinEdit* edit = NewEditor(form, kRows[r], looks[static_cast<size_t>(c)].look);
            Application->ProcessMessages();
            ApplyState(form, edit, state);
            tools::CopyHostPixels(form, TRect{0, 0, kCellW, kCellH}, sheet, kTable.CellOrigin(r, c));
            SetFocus(form->Handle());
            delete edit;
          }
        delete form;
        cxIsTouchModeEnabled = false;
      });
}
