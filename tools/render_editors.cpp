// Renders a sheet of editors with embedded buttons into a PNG, for looking at them by eye: one
// row per button style (3D, flat, simple, hot-flat, ultra-flat, Office11 with and without
// gradient buttons) and per native look (visual styles, a single combo-box button), each in
// the editor states normal, hot, focused and disabled and with its last button hot and
// pressed. The editors are real controls on a form; each cell is read back from the window.
//
//   render_editors OUT.png [--zoom N] [--kind standard|flat|ultraflat|office11]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "gallery_png.h"
#include "platform/forms/forms.h"
#include "platform/os/user.h"
#include "platform/os/user_display.h"
#include "ui/editors/cxEdit.h"

using namespace qd;

namespace {

constexpr int kEditorW = 150, kEditorH = 24;
constexpr int kCellW = 168, kCellH = 40, kLabelW = 120, kHeaderH = 16;

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

TcxLookAndFeelKind EditorKindOf(const char* AName) {
  if (std::strcmp(AName, "standard") == 0) return lfStandard;
  if (std::strcmp(AName, "flat") == 0) return lfFlat;
  if (std::strcmp(AName, "office11") == 0) return lfOffice11;
  return lfUltraFlat;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: render_editors OUT.png [--zoom N] [--kind standard|flat|ultraflat|office11]\n");
    return 2;
  }
  int zoom = 2;
  TcxLookAndFeelKind kind = lfUltraFlat;
  for (int i = 2; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--zoom") == 0) zoom = std::max(1, std::atoi(argv[i + 1]));
    if (std::strcmp(argv[i], "--kind") == 0) kind = EditorKindOf(argv[i + 1]);
  }
  InitializeUnits();
  bool ok = false;
  {
    const int rows = static_cast<int>(std::size(kEditorRows));
    const int columns = static_cast<int>(std::size(kEditorStates));
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
      canvas.DrawTexT(String(kEditorStates[c], kEditorStates[c] + std::strlen(kEditorStates[c])),
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
      const char* name = kEditorRows[r].name;
      canvas.DrawTexT(String(name, name + std::strlen(name)),
                      TRect{4, kHeaderH + r * kCellH, kLabelW, kHeaderH + (r + 1) * kCellH},
                      cxAlignLeft | cxAlignVCenter | cxSingleLine);
      for (int c = 0; c < columns; ++c) {
        TcxCustomEdit* edit = NewEditor(form, kEditorRows[r], kind);
        Application->ProcessMessages();
        ApplyEditorState(form, edit, c);
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
    std::fprintf(stderr, "render_editors: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
