// Renders a sheet of spin editors into a PNG, for looking at them by eye: one row per button
// arrangement (with and without fast buttons), each normal, focused and disabled, with the
// native look or the classic one. The editors are real controls on a form.
//
//   render_spin_edit OUT.png [--zoom N] [--classic]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/Startup.h"
#include "gallery_png.h"
#include "platform/forms/forms.h"
#include "platform/os/user.h"
#include "platform/os/user_display.h"
#include "ui/editors/concrete/cxSpinEdit.h"

using namespace qd;

namespace {

constexpr int kEditorW = 150, kEditorH = 21;
constexpr int kCellW = 168, kCellH = 36, kLabelW = 130, kHeaderH = 16;

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
  RedrawWindow(AForm->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CopyWindowCell(HWND AWnd, TBitmap& ASheet, int AX, int AY) {
  const os::WindowPixels pixels = os::ReadWindowPixels(AWnd, true);
  for (int y = 0; y < kCellH && y < pixels.height && AY + y < ASheet.Height(); ++y) {
    auto* row = static_cast<uint32_t*>(ASheet.ScanLine(AY + y));
    for (int x = 0; x < kCellW && x < pixels.width && AX + x < ASheet.Width(); ++x)
      row[AX + x] = 0xFF000000u | (pixels.At(x, y) & 0xFFFFFF);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: render_spin_edit OUT.png [--zoom N] [--classic]\n");
    return 2;
  }
  int zoom = 2;
  bool native = true;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--zoom") == 0 && i + 1 < argc) zoom = std::max(1, std::atoi(argv[i + 1]));
    if (std::strcmp(argv[i], "--classic") == 0) native = false;
  }
  InitializeUnits();
  bool ok = false;
  {
    const int rows = static_cast<int>(std::size(kRows));
    const int columns = static_cast<int>(std::size(kStates));
    TBitmap sheet;
    sheet.SetPixelFormat(pf32bit);
    sheet.SetSize(kLabelW + columns * kCellW, kHeaderH + rows * kCellH);
    TcxCanvas canvas(sheet.Canvas());
    canvas.FillRect(TRect{0, 0, sheet.Width(), sheet.Height()}, static_cast<TColor>(0xE0E0E0));
    canvas.Font()->SetName(u"DejaVu Sans");
    canvas.Font()->SetHeight(-11);
    canvas.Font()->SetColor(clBlack);
    canvas.Brush()->SetStyle(bsClear);
    for (int c = 0; c < columns; ++c)
      canvas.DrawTexT(String(kStates[c], kStates[c] + std::strlen(kStates[c])),
                      TRect{kLabelW + c * kCellW, 0, kLabelW + (c + 1) * kCellW, kHeaderH},
                      cxAlignHCenter | cxAlignVCenter | cxSingleLine);
    TForm* form = CreateNewForm<TForm>(Application);
    form->SetPosition(poDesigned);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, kCellW, kCellH);
    form->SetColor(clWhite);
    form->Show();
    Application->ProcessMessages();
    for (int r = 0; r < rows; ++r) {
      const char* name = kRows[r].name;
      canvas.DrawTexT(String(name, name + std::strlen(name)),
                      TRect{4, kHeaderH + r * kCellH, kLabelW, kHeaderH + (r + 1) * kCellH},
                      cxAlignLeft | cxAlignVCenter | cxSingleLine);
      for (int c = 0; c < columns; ++c) {
        TcxCustomTextEdit* edit = NewEditor(form, kRows[r], native);
        Application->ProcessMessages();
        ApplyState(form, edit, c);
        CopyWindowCell(form->Handle(), sheet, kLabelW + c * kCellW, kHeaderH + r * kCellH);
        SetFocus(form->Handle());
        delete edit;
      }
    }
    delete form;
    ok = tools::SaveGalleryPng(sheet, zoom, argv[1]);
  }
  FinalizeUnits();
  if (!ok) {
    std::fprintf(stderr, "render_spin_edit: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
