#pragma once
// Names of skin parts that painters look up: the items of the default colour palettes, element
// names of the control groups and the colour and property names that some controls read.
#include "platform/base/types.h"

namespace qd {

extern const Char* const dxDefaultColorPaletteItems[22];
extern const Char* const dxDefaultGlyphColorPaletteItems[6];
extern const Char* const CalcEditTextColorsMap[28];
extern const Char* const BreadcrumbEditBackgroundColorsMap[4];
extern const Char* const BreadcrumbEditBordersColorsMap[4];
extern const Char* const CommonGroup[19];
extern const Char* const EditorsGroup[23];
extern const Char* const GridGroup[15];
extern const Char* const VGridGroup[5];
extern const Char* const FormGroup[14];
extern const Char* const EditButtonsMap[8];
extern const Char* const FormFrameMap[8];
extern const Char* const EditBackgroundColorsMap[4];
extern const Char* const EditTextColorsMap[4];
extern const Char* const LayoutViewElementPaddingMap[6];
extern const Char* const LayoutViewElementSpacingMap[6];

}  // namespace qd
