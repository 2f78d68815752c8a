// Renders popup edits with their popups open into a PNG, for looking at them by eye: the
// editor on its form with the hosted panel (a label and two buttons) in the popup below it,
// plain, with a client edge and with the system panel (close button and size grip). Each cell
// is the form's pixels with the popup's laid over them where the screen shows it.
//
//   render_popup_edit OUT.png [--zoom N] [--classic]
#include "platform/forms/extctrls.h"
#include "platform/forms/stdctrls.h"
#include "render_sheet.h"
#include "ui/editors/cxDropDownEditPopupEdit.h"

using namespace qd;

namespace {

constexpr int kCellW = 300, kCellH = 210, kHeaderH = 16;

struct Column {
  const char* name;
  bool clientEdge;
  bool sysPanel;
};

const Column kColumns[] = {
    {"popup edit", false, false},
    {"client edge", true, false},
    {"system panel", false, true},
};

// Lays a top-level window's pixels onto the sheet at (AX, AY), clipped to the cell at ACell.
void Lay(HWND AWnd, TBitmap& ASheet, int AX, int AY, const TRect& ACell) {
  const os::WindowPixels pixels = os::ReadWindowPixels(AWnd, true);
  for (int y = 0; y < pixels.height; ++y) {
    const int sy = AY + y;
    if (sy < ACell.Top || sy >= ACell.Bottom) continue;
    auto* row = static_cast<uint32_t*>(ASheet.ScanLine(sy));
    for (int x = 0; x < pixels.width; ++x) {
      const int sx = AX + x;
      if (sx < ACell.Left || sx >= ACell.Right) continue;
      const uint32_t p = pixels.At(x, y);
      if ((p >> 24) == 0) continue;  // outside the window region
      row[sx] = 0xFF000000u | (p & 0xFFFFFF);
    }
  }
}

struct Snapshot {
  TForm* form = nullptr;
  TcxPopupEdit* edit = nullptr;
  TBitmap* sheet = nullptr;
  TRect cell;
  void Popup(TObject*) {
    TcxCustomEditPopupWindow* popup = edit->PopupWindow();
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RedrawWindow(popup->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Lay(form->Handle(), *sheet, cell.Left, cell.Top, cell);
    Lay(popup->Handle(), *sheet, cell.Left + popup->Left() - form->Left(),
        cell.Top + popup->Top() - form->Top(), cell);
    edit->HidePopup(nullptr, crEnter);
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: render_popup_edit OUT.png [--zoom N] [--classic]\n");
    return 2;
  }
  const bool native = !tools::HasOption(argc, argv, "--classic");
  return tools::RenderSheetToPng(
      "render_popup_edit", argv[1], tools::ZoomOption(argc, argv), [&](TBitmap& sheet) {
        const int columns = static_cast<int>(std::size(kColumns));
        tools::SizeSheet(sheet, columns * kCellW, kHeaderH + kCellH);
        TcxCanvas canvas(sheet.Canvas());
        tools::PrepareSheet(sheet, canvas);
        for (int c = 0; c < columns; ++c) {
          tools::DrawCaption(canvas, kColumns[c].name, TRect{c * kCellW, 0, (c + 1) * kCellW, kHeaderH},
                             cxAlignHCenter | cxAlignVCenter | cxSingleLine);
          TForm* form = tools::NewHostForm(kCellW - 8, kCellH - 8);
          auto* edit = new TcxPopupEdit(form);
          edit->SetParent(form);
          edit->SetBounds(10, 10, 180, 21);
          edit->Style()->LookAndFeel()->SetNativeStyle(native);
          edit->SetEditValue(Variant(String(u"Choose...")));
          auto* panel = new TPanel(form);
          panel->SetParent(form);
          panel->SetVisible(false);
          panel->SetBounds(0, 0, 220, 110);
          panel->SetColor(static_cast<TColor>(0xF4EDE6));
          auto* label = new TLabel(form);
          label->SetParent(panel);
          label->SetBounds(10, 12, 200, 16);
          label->SetCaption(u"The hosted panel");
          for (int b = 0; b < 2; ++b) {
            auto* button = new TButton(form);
            button->SetParent(panel);
            button->SetBounds(20 + b * 95, 70, 85, 25);
            button->SetCaption(b == 0 ? u"OK" : u"Cancel");
          }
          TcxPopupEditProperties* p = edit->Properties();
          p->SetPopupControl(panel);
          p->SetPopupClientEdge(kColumns[c].clientEdge);
          p->SetPopupSysPanelStyle(kColumns[c].sysPanel);
          Snapshot snapshot{form, edit, &sheet,
                            TRect{c * kCellW, kHeaderH, (c + 1) * kCellW, kHeaderH + kCellH}};
          p->OnPopup = TNotifyEvent(&snapshot, &Snapshot::Popup);
          tools::ShowHostForm(form);
          edit->SetFocus();
          Application->ProcessMessages();
          edit->SetDroppedDown(true);
          Application->ProcessMessages();
          form->Free();
        }
      });
}
