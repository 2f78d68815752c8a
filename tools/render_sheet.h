#pragma once
// What the render tools share: the command line, the grey sheet with its captions, the
// headless host form the real controls are placed on, and copying the form's pixels to the
// sheet. (Header only: every .cpp in this folder is a tool of its own.)
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "app/Startup.h"
#include "gallery_png.h"
#include "platform/forms/forms.h"
#include "platform/os/user.h"
#include "platform/os/user_display.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd::tools {

// ---- Command line -----------------------------------------------------------------------------

// The value after the last AName among the options (argv[2] on), nullptr when absent.
inline const char* OptionValue(int argc, char** argv, const char* AName) {
  const char* value = nullptr;
  for (int i = 2; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], AName) == 0) value = argv[i + 1];
  return value;
}

inline bool HasOption(int argc, char** argv, const char* AName) {
  for (int i = 2; i < argc; ++i)
    if (std::strcmp(argv[i], AName) == 0) return true;
  return false;
}

// --zoom N (at least 1), 2 when absent.
inline int ZoomOption(int argc, char** argv) {
  const char* value = OptionValue(argc, argv, "--zoom");
  return value ? std::max(1, std::atoi(value)) : 2;
}

inline TcxLookAndFeelKind LookAndFeelKindOf(const char* AName) {
  if (std::strcmp(AName, "standard") == 0) return lfStandard;
  if (std::strcmp(AName, "flat") == 0) return lfFlat;
  if (std::strcmp(AName, "office11") == 0) return lfOffice11;
  return lfUltraFlat;
}

// --kind standard|flat|ultraflat|office11, UltraFlat when absent.
inline TcxLookAndFeelKind KindOption(int argc, char** argv) {
  const char* value = OptionValue(argc, argv, "--kind");
  return value ? LookAndFeelKindOf(value) : lfUltraFlat;
}

// ---- The tool's frame -------------------------------------------------------------------------

// Starts the units, lets ARender fill the sheet, writes it to APath enlarged AZoom times and
// stops the units again; the tool's exit code.
inline int RenderSheetToPng(const char* ATool, const char* APath, int AZoom,
                            const std::function<void(TBitmap&)>& ARender) {
  InitializeUnits();
  bool ok = false;
  {
    TBitmap sheet;
    ARender(sheet);
    ok = SaveGalleryPng(sheet, AZoom, APath);
  }
  FinalizeUnits();
  if (!ok) {
    std::fprintf(stderr, "%s: cannot write %s\n", ATool, APath);
    return 1;
  }
  return 0;
}

// ---- The sheet --------------------------------------------------------------------------------

inline void SizeSheet(TBitmap& ASheet, int AWidth, int AHeight) {
  ASheet.SetPixelFormat(pf32bit);
  ASheet.SetSize(AWidth, AHeight);
}

// Fills the sheet light grey and selects the captions' font on ACanvas (a canvas of the sheet).
inline void PrepareSheet(TBitmap& ASheet, TcxCanvas& ACanvas, int AFontHeight = -11) {
  ACanvas.FillRect(TRect{0, 0, ASheet.Width(), ASheet.Height()}, static_cast<TColor>(0xE0E0E0));
  ACanvas.Font()->SetName(u"DejaVu Sans");
  ACanvas.Font()->SetHeight(AFontHeight);
  ACanvas.Font()->SetColor(clBlack);
  ACanvas.Brush()->SetStyle(bsClear);
}

inline void DrawCaption(TcxCanvas& ACanvas, const char* AText, const TRect& ARect, int AFlags) {
  ACanvas.DrawTexT(String(AText, AText + std::strlen(AText)), ARect, AFlags);
}

// A table of cells: a header line of column names above them and a column of row names at
// their left.
struct TSheetTable {
  int labelW, headerH, cellW, cellH;

  int Width(int AColumns) const { return labelW + AColumns * cellW; }
  int Height(int ARows) const { return headerH + ARows * cellH; }
  TPoint CellOrigin(int ARow, int AColumn) const {
    return TPoint{labelW + AColumn * cellW, headerH + ARow * cellH};
  }

  // Draws the names with ACanvas's font.
  void DrawNames(TcxCanvas& ACanvas, const std::vector<const char*>& ARowNames,
                 const std::vector<const char*>& AColumnNames) const {
    const int rows = static_cast<int>(ARowNames.size()), columns = static_cast<int>(AColumnNames.size());
    for (int c = 0; c < columns; ++c)
      DrawCaption(ACanvas, AColumnNames[static_cast<size_t>(c)],
                  TRect{labelW + c * cellW, 0, labelW + (c + 1) * cellW, headerH},
                  cxAlignHCenter | cxAlignVCenter | cxSingleLine);
    for (int r = 0; r < rows; ++r)
      DrawCaption(ACanvas, ARowNames[static_cast<size_t>(r)],
                  TRect{4, headerH + r * cellH, labelW, headerH + (r + 1) * cellH},
                  cxAlignLeft | cxAlignVCenter | cxSingleLine);
  }
};

// The names of a table's rows or columns: AItems[i].name, or the strings themselves.
template <class T, size_t N>
std::vector<const char*> NamesOf(const T (&AItems)[N]) {
  std::vector<const char*> names;
  for (const T& item : AItems) {
    if constexpr (std::is_convertible_v<T, const char*>)
      names.push_back(item);
    else
      names.push_back(item.name);
  }
  return names;
}

// ---- The host form ----------------------------------------------------------------------------

// A borderless form of AWidth x AHeight at the screen's top left, not yet shown.
inline TForm* NewHostForm(int AWidth, int AHeight, TColor AColor = clWhite) {
  TForm* form = CreateNewForm<TForm>(Application);
  form->SetPosition(poDesigned);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, AWidth, AHeight);
  form->SetColor(AColor);
  return form;
}

inline void ShowHostForm(TForm* AForm) {
  AForm->Show();
  Application->ProcessMessages();
}

// Paints the whole form and its controls now.
inline void RepaintHostForm(TForm* AForm) {
  RedrawWindow(AForm->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// Copies the form's pixels in ASource (as the screen shows them, opaque) to ASheet at ATo;
// both sides are clipped.
inline void CopyHostPixels(TForm* AForm, const TRect& ASource, TBitmap& ASheet, TPoint ATo) {
  const os::WindowPixels pixels = os::ReadWindowPixels(AForm->Handle(), true);
  const int right = std::min(ASource.Right, pixels.width), bottom = std::min(ASource.Bottom, pixels.height);
  for (int y = std::max(ASource.Top, 0); y < bottom && ATo.Y + y - ASource.Top < ASheet.Height(); ++y) {
    auto* row = static_cast<uint32_t*>(ASheet.ScanLine(ATo.Y + y - ASource.Top));
    for (int x = std::max(ASource.Left, 0); x < right && ATo.X + x - ASource.Left < ASheet.Width(); ++x)
      row[ATo.X + x - ASource.Left] = 0xFF000000u | (pixels.At(x, y) & 0xFFFFFF);
  }
}

}  // namespace qd::tools
