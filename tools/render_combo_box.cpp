// Renders combo boxes into a PNG, for looking at them by eye: closed (free text, and a focused
// fixed list with its selection bar), and dropped down with the current item selected and with
// the pointer tracking another row. The popup is read back from its own window and placed
// under the editor as the screen shows it.
//
//   render_combo_box OUT.png [--zoom N] [--classic] [--classic-bars]
#include <cstdio>

#include "render_sheet.h"
#include "ui/editors/cxDropDownEditComboBox.h"
#include "ui/lookandfeel/cxLookAndFeels.h"

using namespace qd;

namespace {

constexpr int kEditorW = 150, kEditorH = 21;
constexpr int kCellW = 180, kCellH = 180;
constexpr tools::TSheetTable kTable{110, 16, kCellW, kCellH};

enum class CellKind { Closed, FocusedFixedList, Open, OpenHot };

struct Cell {
  const char* name;
  CellKind kind;
};

const Cell kCells[] = {
    {"closed", CellKind::Closed},
    {"fixed list, focused", CellKind::FocusedFixedList},
    {"open", CellKind::Open},
    {"open, pointer on row 5", CellKind::OpenHot},
};

const char* const kRows[] = {"combo box"};

const char16_t* const kItems[] = {u"Apple", u"Apricot", u"Banana", u"Blueberry", u"Cherry", u"Grape",
                                  u"Lemon", u"Mango",   u"Orange", u"Peach",     u"Pear",   u"Plum"};

// Copies the pixels of a shown top-level window to ASheet at ATo, clipped to the cell.
void CopyWindowPixels(HWND AWnd, TBitmap& ASheet, TPoint ATo, const TRect& ACell) {
  const os::WindowPixels pixels = os::ReadWindowPixels(AWnd, true);
  for (int y = 0; y < pixels.height; ++y) {
    const int sy = ATo.Y + y;
    if (sy < ACell.Top || sy >= ACell.Bottom || sy >= ASheet.Height()) continue;
    auto* row = static_cast<uint32_t*>(ASheet.ScanLine(sy));
    for (int x = 0; x < pixels.width; ++x) {
      const int sx = ATo.X + x;
      if (sx < ACell.Left || sx >= ACell.Right || sx >= ASheet.Width()) continue;
      row[sx] = 0xFF000000u | (pixels.At(x, y) & 0xFFFFFF);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: render_combo_box OUT.png [--zoom N] [--classic] [--classic-bars]\n");
    return 2;
  }
  const bool native = !tools::HasOption(argc, argv, "--classic");
  const bool classicBars = tools::HasOption(argc, argv, "--classic-bars");
  return tools::RenderSheetToPng(
      "render_combo_box", argv[1], tools::ZoomOption(argc, argv), [&](TBitmap& sheet) {
        const int columns = static_cast<int>(std::size(kCells));
        tools::SizeSheet(sheet, kTable.Width(columns), kTable.Height(1));
        TcxCanvas canvas(sheet.Canvas());
        tools::PrepareSheet(sheet, canvas);
        kTable.DrawNames(canvas, tools::NamesOf(kRows), tools::NamesOf(kCells));
        if (classicBars) RootLookAndFeel()->SetScrollbarMode(sbmClassic);
        TForm* form = tools::NewHostForm(kCellW, kEditorH + 16);
        tools::ShowHostForm(form);
        for (int c = 0; c < columns; ++c) {
          const CellKind kind = kCells[c].kind;
          auto* combo = new TcxComboBox(form);
          combo->SetParent(form);
          combo->Style()->LookAndFeel()->SetNativeStyle(native);
          combo->SetBounds(10, 8, kEditorW, kEditorH);
          TcxComboBoxProperties* properties = combo->Properties();
          properties->Items()->BeginUpdate();
          for (const char16_t* item : kItems) properties->Items()->Add(item);
          properties->Items()->EndUpdate();
          if (kind == CellKind::FocusedFixedList) properties->SetDropDownListStyle(lsFixedList);
          Application->ProcessMessages();
          combo->SetItemIndex(2);
          if (kind != CellKind::Closed) {
            combo->SetFocus();
            Application->ProcessMessages();
          }
          if (kind == CellKind::Open || kind == CellKind::OpenHot) {
            combo->SetDroppedDown(true);
            Application->ProcessMessages();
            if (kind == CellKind::OpenHot) {
              TcxCustomEditListBox* list = combo->LookupData()->List();
              const TRect row = list->ItemRect(5);
              const LPARAM at = MAKELPARAM(20, (row.Top + row.Bottom) / 2);
              // The first move after the list's item was set is ignored.
              SendMessageW(list->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(21, (row.Top + row.Bottom) / 2));
              SendMessageW(list->Handle(), WM_MOUSEMOVE, 0, at);
              Application->ProcessMessages();
            }
          }
          tools::RepaintHostForm(form);
          const TPoint origin = kTable.CellOrigin(0, c);
          const TRect cell{origin.X, origin.Y, origin.X + kCellW, origin.Y + kCellH};
          tools::CopyHostPixels(form, TRect{0, 0, kCellW, kEditorH + 16}, sheet, origin);
          if (combo->DroppedDown()) {
            TcxCustomEditPopupWindow* popup = combo->PopupWindow();
            RedrawWindow(popup->Handle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            RECT r{};
            GetWindowRect(popup->Handle(), &r);
            RECT f{};
            GetWindowRect(form->Handle(), &f);
            CopyWindowPixels(popup->Handle(), sheet,
                             TPoint{origin.X + r.Left - f.Left, origin.Y + r.Top - f.Top}, cell);
            combo->SetDroppedDown(false);
            Application->ProcessMessages();
          }
          SetFocus(form->Handle());
          delete combo;
        }
        delete form;
        if (classicBars) RootLookAndFeel()->SetScrollbarMode(sbmDefault);
      });
}
