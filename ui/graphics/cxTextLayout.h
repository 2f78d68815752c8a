#pragma once
// The library's own text layout engine: format flags, text parameters taken from a device
// context, the row store, line breaking (words, hard breaks, over-long words, East Asian
// text), and the output half: row placement, clipping, justification, end ellipsis, a
// highlighted range, pattern bars for unreadably small fonts, the one-call cxTextOut and
// text rotated by 90 degrees.
#include <cstdint>
#include <vector>

#include "platform/base/geometry.h"
#include "platform/base/strings.h"
#include "platform/forms/graphics.h"
#include "platform/os/gdi.h"

namespace qd {

// --- Format flags ------------------------------------------------------------------------------

constexpr uint32_t CXTO_LEFT = 0;
constexpr uint32_t CXTO_CENTER_HORIZONTALLY = 1;
constexpr uint32_t CXTO_RIGHT = 2;
constexpr uint32_t CXTO_JUSTIFY_HORIZONTALLY = 3;
constexpr uint32_t CXTO_DISTRIBUTE_HORIZONTALLY = 4;
constexpr uint32_t CXTO_HORZ_ALIGN_MASK = 7;
constexpr uint32_t CXTO_TOP = 0x00;
constexpr uint32_t CXTO_CENTER_VERTICALLY = 0x10;
constexpr uint32_t CXTO_BOTTOM = 0x20;
constexpr uint32_t CXTO_DISTRIBUTE_VERTICALLY = 0x30;
constexpr uint32_t CXTO_VERT_ALIGN_OFFSET = 4;
constexpr uint32_t CXTO_VERT_ALIGN_MASK = 3;
constexpr uint32_t CXTO_WORDBREAK = 0x100;
constexpr uint32_t CXTO_SINGLELINE = 0x200;
constexpr uint32_t CXTO_EXPANDTABS = 0x400;
constexpr uint32_t CXTO_END_ELLIPSIS = 0x800;
constexpr uint32_t CXTO_PATTERNEDTEXT = 0x1000;
constexpr uint32_t CXTO_EXTERNALLEADING = 0x2000;
constexpr uint32_t CXTO_EDITCONTROL = 0x4000;
constexpr uint32_t CXTO_NOCLIP = 0x8000;
constexpr uint32_t CXTO_AUTOINDENTS = 0x10000;
constexpr uint32_t CXTO_CHARBREAK = 0x20000;
constexpr uint32_t CXTO_PREVENT_LEFT_EXCEED = 0x40000;
constexpr uint32_t CXTO_PREVENT_TOP_EXCEED = 0x80000;
constexpr uint32_t CXTO_CALCRECT = 0x100000;
constexpr uint32_t CXTO_CALCROWCOUNT = 0x200000;
constexpr uint32_t CXTO_HIDEPREFIX = 0x1000000;
constexpr uint32_t CXTO_EXCELSTYLE = 0x2000000;
constexpr uint32_t CXTO_RTLREADING = 0x4000000;
// Names only: no bit of the engine reads them.
constexpr uint32_t CXTO_NOPREFIX = 0;
constexpr uint32_t CXTO_DEFAULT_FORMAT = CXTO_LEFT | CXTO_TOP;

enum TcxTextAlignX : uint8_t { taLeft, taCenterX, taRight, taJustifyX, taDistributeX };
enum TcxTextAlignY : uint8_t { taTop, taCenterY, taBottom, taDistributeY };

struct TcxTextParams {
  int32_t RowHeight = 0;
  int32_t tmExternalLeading = 0;
  int32_t FullRowHeight = 0;
  int32_t EndEllipsisWidth = 0;
  bool Bold = false;
  Char BreakChar = 0;
  TcxTextAlignX TextAlignX = taLeft;
  TcxTextAlignY TextAlignY = taTop;
  bool WordBreak = false;
  bool SingleLine = false;
  bool ExpandTabs = false;
  bool EndEllipsis = false;
  bool ExternalLeading = false;
  bool EditControl = false;
  bool ExcelStyle = false;
  bool NoClip = false;
  bool AutoIndents = false;
  bool PatternedText = false;
  bool PreventLeftExceed = false;
  bool PreventTopExceed = false;
  bool CharBreak = false;
  bool CalcRowCount = false;
  bool CalcRect = false;
  int32_t MaxCharWidth = 0;
  uint8_t CharSet = 0;
  int32_t OnePixel = 1;
  bool HidePrefix = false;
  bool RTLReading = false;
};

struct TcxTextRow {
  const Char* Text = nullptr;
  int32_t TextLength = 0;
  TSize TextExtents{};
  int32_t BreakCount = 0;
  int32_t TextOriginX = 0;
  int32_t TextOriginY = 0;
  int32_t StartOffset = 0;
};

constexpr int32_t cxTextRowsStaticCount = 32;

struct TcxTextRows {
  int32_t Count = 0;
  const Char* Text = nullptr;
  TcxTextRow StaticRows[cxTextRowsStaticCount];
  std::vector<TcxTextRow> DynamicRows;
};

struct TcxTextRowFormat {
  TcxTextAlignX Align = taLeft;
  bool BreakByWords = false;
  bool BreakByChars = false;
  bool CalcRect = false;
  bool EditControl = false;
  bool EndEllipsis = false;
  bool ExpandTabs = false;
  bool ExcelStyle = false;
  bool SingleLine = false;
  bool Special = false;
};

// Measures ACount characters of AText; AExpandTabs expands tab characters.
using TcxCalcTextExtentsProc = void (*)(HDC ADC, const Char* AText, int32_t ACount, TSize& ASize,
                                        void* AUserData, bool AExpandTabs);

TcxTextRow& cxGetTextRow(TcxTextRows& ARows, int32_t AIndex);
const TcxTextRow& cxGetTextRow(const TcxTextRows& ARows, int32_t AIndex);
// Sets Count; the dynamic part keeps four spare rows; row ACount - 1 is zeroed.
void ValidateTextRows(TcxTextRows& ARows, int32_t ACount);

TcxTextParams cxCalcTextParams(HDC ADC, uint32_t AFormat, double ALineSpacingFactor = 1.0);
TcxTextParams cxCalcTextParams(TCanvas* ACanvas, uint32_t AFormat, double ALineSpacingFactor = 1.0);
TcxTextRowFormat MakeTextRowFormat(const TcxTextParams& ATextParams);

void cxCalcTextExtents(HDC ADC, const Char* AText, int32_t ALength, TSize& ASize, bool AExpandTabs);
void cxCalcTextExtentsEx(HDC ADC, const Char* AText, int32_t ACount, TSize& ASize, void* AUserData,
                         bool AExpandTabs);
void cxGetTabbedTextExtentW(HDC ADC, const Char* AText, int32_t ALength, TSize& ASize);
bool cxGetTextExtentExPoint(HDC ADC, const Char* AText, int32_t ALength, int32_t AMaxExtent, int32_t& AFit,
                            int32_t* ADx);
constexpr int32_t MaxSymbolsOnTabbedLine = 4096;
int32_t cxTabbedTextOutW(HDC ADC, int32_t X, int32_t Y, const Char* AText, int32_t ALength,
                         int32_t ATabOrigin);

bool IsFarEastLineBreak(Char AChar);
bool IsFarEastFullWidthCharacter(uint32_t ACodePage, Char AChar);
const Char* cxGetNextWordBreak(uint32_t ACodePage, const Char* AStart, const Char* AEnd);
// The longest prefix of AText that fits AMaxWidth, at least one character when ALength > 0.
const Char* BreakAWord(HDC ADC, const Char* AText, int32_t ALength, bool AExpandTabs, int32_t AMaxWidth,
                       TcxCalcTextExtentsProc ACalcTextExtentsProc = cxCalcTextExtentsEx,
                       void* AUserData = nullptr);
// Fills ARow with the row that starts at ALineStart and returns the start of the next row.
const Char* GetLineBreak(HDC ADC, const Char* ALineStart, int32_t ACount, void* AUserData,
                         TcxCalcTextExtentsProc ACalcTextExtentsProc, TcxTextRow& ARow,
                         const TcxTextRowFormat& ATextRowFormat, int32_t AMaxWidth);
// Breaks the text into rows for ARect; True when all of it fits.
bool cxMakeTextRows(HDC ADC, const Char* AText, int32_t ATextLength, const TRect& ARect,
                    const TcxTextParams& ATextParams, TcxTextRows& ATextRows, int32_t& ARowCount,
                    int32_t AMaxLineCount = 0,
                    TcxCalcTextExtentsProc ACalcTextExtentsProc = cxCalcTextExtentsEx,
                    void* AUserData = nullptr);

// --- Output ------------------------------------------------------------------------------------

inline constexpr const Char* cxEndEllipsisChars = u"...";
constexpr int32_t cxEndEllipsisCharsLength = 3;

enum TcxVerticalTextOutDirection : uint8_t { vtdTopToBottom, vtdBottomToTop };

TRect cxPrepareRect(const TRect& ARect, const TcxTextParams& ATextParams, int32_t ALeftIndent,
                    int32_t ARightIndent);
TRect cxUnprepareRect(const TRect& ARect, const TcxTextParams& ATextParams, int32_t ALeftIndent,
                      int32_t ARightIndent);
void cxPlaceTextRows(HDC ADC, const TRect& ARect, TcxTextParams& ATextParams, TcxTextRows& ATextRows,
                     int32_t ARowCount);
void cxPrepareEndEllipsis(HDC ADC, TcxTextRow& ARow, const TcxTextParams& ATextParams,
                          TcxCalcTextExtentsProc ACalcTextExtentsProc, const TRect& ARect, int32_t& AMaxWidth,
                          void* AUserData = nullptr);
void cxTextRowsOutHighlight(HDC ADC, const TRect& ARect, const TcxTextParams& ATextParams,
                            const TcxTextRows& ATextRows, int32_t ARowCount, int32_t ASelStart,
                            int32_t ASelLength, TColor ASelBkgColor, TColor ASelTextColor,
                            bool AForceEndEllipsis);
int32_t cxGetLongestTextRowWidth(const TcxTextRows& ATextRows, int32_t ARowCount);
// Measures (CXTO_CALCRECT, CXTO_CALCROWCOUNT) or draws AText; see the flags above.
int32_t cxTextOut(HDC ADC, const String& AText, TRect& ARect, uint32_t AFormat = CXTO_DEFAULT_FORMAT,
                  int32_t ASelStart = 0, int32_t ASelLength = 0, TFont* AFont = nullptr,
                  TColor ASelBkgColor = clHighlight, TColor ASelTextColor = clHighlightText,
                  int32_t AMaxLineCount = 0, int32_t ALeftIndent = 0, int32_t ARightIndent = 0,
                  TColor ATextColor = clDefault, double ALineSpacingFactor = 1.0);
void cxRotatedTextOut(HDC ADC, const TRect& ARect, const String& AText, TFont* AFont,
                      TcxTextAlignX AAlignHorz = taCenterX, TcxTextAlignY AAlignVert = taCenterY,
                      bool AWordBreak = true, bool ALeftExceed = true, bool ARightExceed = false,
                      TcxVerticalTextOutDirection ADirection = vtdBottomToTop, int32_t AFontSize = 0);
bool IsMetaFile(HDC ADC);
bool CanProcessText(const TcxTextParams& ATextParams, const TRect& ATextRect);

// The two pattern brushes of text too small to read (regular, bold), made at start-up.
namespace cxTextLayout {
void Initialize();
void Finalize();
HBRUSH FillPattern(bool ABold);
}  // namespace cxTextLayout

}  // namespace qd
