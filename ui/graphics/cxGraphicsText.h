#pragma once
// The text functions of the graphics layer: drawing through the system DrawText with a chosen
// colour and background mode, rotated text through a rotated bitmap, single ExtTextOut
// calls, a word-wrapping splitter and a multi-line drawer, and measuring functions that
// borrow the shared screen canvas (and release its device context before they return).
// Flags are system DrawText flags (DT_*) unless a function says otherwise.
#include <cstdint>

#include "platform/base/geometry.h"
#include "platform/base/types.h"
#include "platform/classes/lists.h"
#include "platform/forms/graphics.h"
#include "ui/graphics/cxGraphicsCanvas.h"

namespace qd {

// The rotation that undoes each rotation.
inline constexpr TcxRotationAngle AAntiRotationMap[] = {ra0, raMinus90, raPlus90, ra180};

// Rotated text is drawn antialiased while this is on (initially).
extern bool dxUseAntialiasingForRotatedText;

// The same font description with NONANTIALIASED_QUALITY.
void dxSetFontAsNonAntialiased(TFont* AFont);

// Draws (or with DT_CALCRECT measures) ACharCount characters (-1: all) in AColor (clDefault:
// the DC's text colour) with the background mode; both are restored. With 0 characters
// only DrawText is called. Returns DrawText's result.
int32_t cxDrawText(HDC ADC, const String& AText, TRect& ARect, UINT AFormat, int32_t ACharCount = -1,
                   TColor AColor = clDefault, int32_t ABkMode = TRANSPARENT);
// On a copy of ARect, transparent, right-to-left reading when the canvas's text flags say so.
int32_t cxDrawText(TCanvas* ACanvas, const String& AText, const TRect& ARect, UINT AFormat,
                   TColor AColor = clDefault);
// With a rotation: drawn into a bitmap turned the other way, then turned back into ARect.
int32_t cxDrawText(TcxCanvas* ACanvas, const String& AText, const TRect& ARect, UINT AFormat,
                   TColor AColor = clDefault, TcxRotationAngle ARotationAngle = ra0);

// ExtTextOut at P with the options and the clipping or opaque rectangle R (-1: all characters).
bool cxExtTextOut(HDC ADC, const String& AText, const TPoint& P, const TRect& R, UINT AOptions,
                  int32_t ACount = -1);
// ASize starts as (0, 0); whether GetTextExtentPoint32 succeeded.
bool cxGetTextExtentPoint32(HDC ADC, const String& AText, TSize& ASize, int32_t ACharCount = -1);

// The font's text-metric height.
int32_t cxTextHeight(HDC ADC);
int32_t cxTextHeight(TFont* AFont);
// TcxCanvas::TextExtent on the screen canvas with AFont (at AFontSize points unless 0).
TSize cxTextExtent(TFont* AFont, const String& AText, int32_t AFontSize = 0);
int32_t cxTextWidth(TFont* AFont, const String& AText, int32_t AFontSize = 0);
// DrawText with AFlags | DT_CALCRECT into ARect, on the screen canvas with AFont.
void cxGetTextRect(TRect& ARect, const String& AText, TFont* AFont, UINT AFlags);
// The size of cxGetTextRect from the empty rectangle.
TSize cxTextSize(TFont* AFont, const String& AText, UINT AFlags = 0);
// The narrowest word-wrapped rectangle that keeps the text within ARowCount lines (no limit
// for 0 or less); with AReturnMaxRectHeight its bottom is the height of ARowCount lines.
TRect cxGetTextRect(HDC ADC, const String& AText, int32_t ARowCount, bool AReturnMaxRectHeight = false,
                    UINT AFlags = 0);
// The single-line size of the text.
TSize cxTextSize(HDC ADC, const String& AText);

// Adds the lines of AText word-wrapped to ARect's width (CR, LF and CR LF break lines).
void cxGetTextLines(const String& AText, TcxCanvas* ACanvas, const TRect& ARect, TStrings* ALines);
// Draws the lines of cxGetTextLines one under the other, the block placed by DT_VCENTER or
// DT_BOTTOM but never above ARect; returns the number of lines.
int32_t cxDrawMultilineText(TcxCanvas* ACanvas, const String& AText, const TRect& ARect, UINT AFormat,
                            TColor AColor = clDefault);

}  // namespace qd
