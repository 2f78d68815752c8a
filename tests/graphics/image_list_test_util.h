#pragma once
// Pictures for the image-list tests: strips and grids of solid cells, and the colours a
// list holds on both of its sides (native cells and kept images).
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include "platform/forms/graphics.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/cxImageList.h"

namespace qd::testing {

// A 24-bit bitmap of AColumns x ARows solid cells of ACellW x ACellH, coloured from AColors
// row by row (0xRRGGBB values).
inline std::unique_ptr<TcxBitmap> SolidCells(int ACellW, int ACellH, int AColumns, int ARows,
                                             std::initializer_list<uint32_t> AColors) {
  auto bitmap = std::make_unique<TcxBitmap>(ACellW * AColumns, ACellH * ARows, pf24bit);
  auto it = AColors.begin();
  for (int row = 0; row < ARows; ++row)
    for (int column = 0; column < AColumns && it != AColors.end(); ++column, ++it) {
      const uint32_t c = *it;
      bitmap->Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(c >> 16, (c >> 8) & 0xFF, c & 0xFF)));
      const TRect r = Bounds(column * ACellW, row * ACellH, ACellW, ACellH);
      bitmap->Canvas()->FillRect(r);
    }
  return bitmap;
}

// The RGB (0xRRGGBB) of the centre of every native cell.
inline std::vector<uint32_t> NativeColors(TCustomImageList& AList) {
  std::vector<uint32_t> result;
  const size_t centre = static_cast<size_t>(AList.Height() / 2) * AList.Width() + AList.Width() / 2;
  for (int i = 0; i < AList.Count(); ++i) result.push_back(AList.Pixels(i)[centre] & 0xFFFFFF);
  return result;
}

// The RGB of the centre of every kept image, as GetImage gives it.
inline std::vector<uint32_t> InfoColors(TcxCustomImageList& AList) {
  std::vector<uint32_t> result;
  for (int i = 0; i < AList.ImageInfos()->Count(); ++i) {
    TcxBitmap32 image(AList.Width(), AList.Height(), true);
    AList.GetImage(i, &image);
    const uint32_t px = static_cast<uint32_t*>(image.ScanLine(AList.Height() / 2))[AList.Width() / 2];
    result.push_back(px & 0xFFFFFF);
  }
  return result;
}

}  // namespace qd::testing
