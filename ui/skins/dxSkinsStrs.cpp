#include "ui/skins/dxSkinsStrs.h"

namespace qd {

const Char* const dxDefaultColorPaletteItems[22] = {u"Paint",
                                                    u"Paint High",
                                                    u"Paint Shadow",
                                                    u"Brush",
                                                    u"Brush Light",
                                                    u"Brush High",
                                                    u"Brush Minor",
                                                    u"Brush Major",
                                                    u"Accent Paint",
                                                    u"Accent Paint Light",
                                                    u"Accent Brush",
                                                    u"Accent Brush Light",
                                                    u"Key Paint",
                                                    u"Key Brush",
                                                    u"Key Brush Light",
                                                    u"Black",
                                                    u"Blue",
                                                    u"Gray",
                                                    u"Green",
                                                    u"Red",
                                                    u"White",
                                                    u"Yellow"};

const Char* const dxDefaultGlyphColorPaletteItems[6] = {u"Yellow", u"White", u"Red",
                                                        u"Green",  u"Blue",  u"Black"};

const Char* const CalcEditTextColorsMap[28] = {u"CalcEditEditingOperationTextColor",
                                               u"CalcEditEditingOperationTextColor",
                                               u"CalcEditEditingOperationTextColor",
                                               u"CalcEditMemoryOperationTextColor",
                                               u"CalcEditMemoryOperationTextColor",
                                               u"CalcEditMemoryOperationTextColor",
                                               u"CalcEditMemoryOperationTextColor",
                                               u"CalcEditDigitTextColor",
                                               u"CalcEditDigitTextColor",
                                               u"CalcEditDigitTextColor",
                                               u"CalcEditDigitTextColor",
                                               u"CalcEditDigitTextColor",
                                               u"CalcEditDigitTextColor",
                                               u"CalcEditDigitTextColor",
                                               u"CalcEditDigitTextColor",
                                               u"CalcEditDigitTextColor",
                                               u"CalcEditDigitTextColor",
                                               u"CalcEditDigitTextColor",
                                               u"CalcEditDigitTextColor",
                                               u"CalcEditArithmeticOperationTextColor",
                                               u"CalcEditArithmeticOperationTextColor",
                                               u"CalcEditArithmeticOperationTextColor",
                                               u"CalcEditArithmeticOperationTextColor",
                                               u"CalcEditScientificOperationTextColor",
                                               u"CalcEditScientificOperationTextColor",
                                               u"CalcEditScientificOperationTextColor",
                                               u"CalcEditScientificOperationTextColor",
                                               u"CalcEditScientificOperationTextColor"};

const Char* const BreadcrumbEditBackgroundColorsMap[4] = {
    u"BreadcrumbEditBackgroundColor", u"BreadcrumbEditBackgroundFocusedColor",
    u"BreadcrumbEditBackgroundHotColor", u"BreadcrumbEditBackgroundDisabledColor"};

const Char* const BreadcrumbEditBordersColorsMap[4] = {
    u"BreadcrumbEditBorderColor", u"BreadcrumbEditBorderFocusedColor", u"BreadcrumbEditBorderHotColor",
    u"BreadcrumbEditBorderDisabledColor"};

const Char* const CommonGroup[19] = {u"Common",
                                     u"Button",
                                     u"GroupPanel",
                                     u"GroupPanelBottom",
                                     u"GroupPanelCaptionBottom",
                                     u"GroupPanelCaptionLeft",
                                     u"GroupPanelCaptionRight",
                                     u"GroupPanelCaptionTop",
                                     u"GroupPanelLeft",
                                     u"GroupPanelRight",
                                     u"GroupPanelTop",
                                     u"ScrollButton",
                                     u"ScrollContentHorz",
                                     u"ScrollContentVert",
                                     u"ScrollThumbHorz",
                                     u"ScrollThumbVert",
                                     u"SizeGrip",
                                     u"SplitterHorz",
                                     u"Splitter"};

const Char* const EditorsGroup[23] = {u"Editors",
                                      u"Checkbox",
                                      u"CloseButton",
                                      u"ComboButtonGlyph",
                                      u"EditorButton",
                                      u"Navigator",
                                      u"ProgressBorder",
                                      u"ProgressBorderVert",
                                      u"ProgressChunk",
                                      u"ProgressChunkVert",
                                      u"RadioButton",
                                      u"SpinDownGlyph",
                                      u"SpinLeftGlyph",
                                      u"SpinRightGlyph",
                                      u"SpinUpGlyph",
                                      u"TrackBarThumb",
                                      u"TrackBarThumbBoth",
                                      u"TrackBarThumbUp",
                                      u"TrackBarThumbVert",
                                      u"TrackBarThumbVertBoth",
                                      u"TrackBarThumbVertUp",
                                      u"TrackBarTrack",
                                      u"TrackBarTrackVert"};

const Char* const GridGroup[15] = {
    u"Grid",        u"FilterButton",   u"FilterButtonActive", u"GridFilterPanel", u"FooterCell",
    u"FooterPanel", u"GridGroupPanel", u"GroupRow",           u"Header",          u"HeaderLeft",
    u"HeaderRight", u"HeaderSpecial",  u"IndicatorImages",    u"PlusMinus",       u"PlusMinusEx"};

const Char* const VGridGroup[5] = {u"VerticalGrid", u"BandBorder", u"GridLine", u"RowHeader", u"Category"};

const Char* const FormGroup[14] = {u"FormFrameLeft",       u"FormCaption",          u"FormFrameRight",
                                   u"FormFrameBottom",     u"SmallFormFrameLeft",   u"SmallFormCaption",
                                   u"SmallFormFrameRight", u"SmallFormFrameBottom", u"SmallFormButtonClose",
                                   u"FormButtonClose",     u"FormButtonMinimize",   u"FormButtonMaximize",
                                   u"FormButtonRestore",   u"FormButtonHelp"};

const Char* const EditButtonsMap[8] = {u"CloseButton",   u"ComboButtonGlyph", u"EditorButton",
                                       u"EditorButton",  u"SpinUpGlyph",      u"SpinDownGlyph",
                                       u"SpinLeftGlyph", u"SpinRightGlyph"};

const Char* const FormFrameMap[8] = {u"FormFrameLeft",   u"SmallFormCaption", u"FormFrameRight",
                                     u"FormFrameBottom", u"FormFrameLeft",    u"FormCaption",
                                     u"FormFrameRight",  u"FormFrameBottom"};

const Char* const EditBackgroundColorsMap[4] = {u"BackgroundColor", u"BackgroundDisabledColor",
                                                u"BackgroundInactiveColor", u"BackgroundReadOnlyColor"};

const Char* const EditTextColorsMap[4] = {u"TextColor", u"TextDisabledColor", u"TextInactiveColor",
                                          u"TextReadOnlyColor"};

const Char* const LayoutViewElementPaddingMap[6] = {u"LayoutViewGroupPadding",
                                                    u"LayoutViewGroupWithoutBordersPadding",
                                                    u"LayoutViewTabbedGroupPadding",
                                                    u"LayoutViewRootGroupPadding",
                                                    u"LayoutViewRootGroupWithoutBordersPadding",
                                                    u"LayoutViewItemPadding"};

const Char* const LayoutViewElementSpacingMap[6] = {u"LayoutViewGroupSpacing",
                                                    u"LayoutViewGroupWithoutBordersSpacing",
                                                    u"LayoutViewTabbedGroupSpacing",
                                                    u"LayoutViewRootGroupSpacing",
                                                    u"LayoutViewRootGroupWithoutBordersSpacing",
                                                    u"LayoutViewItemSpacing"};

}  // namespace qd
