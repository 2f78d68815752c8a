// The first half of the text engine: parameters, measuring and line breaking.
#include "ui/graphics/cxTextLayout.h"

#include <algorithm>
#include <cmath>

#include "platform/os/nls.h"

namespace qd {

namespace {

constexpr Char kTextLayoutCR = u'\r';
constexpr Char kTextLayoutLF = u'\n';

bool TextLayoutIsSpace(Char C) {
  return C == u' ' || C == u'\t';
}

bool TextLayoutIsLineEnd(Char C) {
  return C == kTextLayoutCR || C == kTextLayoutLF;
}

int32_t TextLayoutExtent(HDC ADC, const Char* AText, int32_t ACount, TcxCalcTextExtentsProc AProc,
                         void* AUserData, bool AExpandTabs) {
  TSize size{};
  if (ACount > 0) AProc(ADC, AText, ACount, size, AUserData, AExpandTabs);
  return size.cx;
}

bool TextLayoutSystemIsEastAsian() {
  switch (PRIMARYLANGID(GetSystemDefaultLangID())) {
    case 0x04:  // Chinese
    case 0x11:  // Japanese
    case 0x12:  // Korean
      return true;
    default:
      return false;
  }
}

uint32_t TextLayoutAnsiCodePage(uint32_t ACodePage) {
  if (ACodePage != 0) return ACodePage;
  WCHAR buffer[8] = {};
  if (GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE, buffer, 8) > 0) {
    uint32_t cp = 0;
    for (const WCHAR* p = buffer; *p >= u'0' && *p <= u'9'; ++p)
      cp = cp * 10 + static_cast<uint32_t>(*p - u'0');
    if (cp != 0) return cp;
  }
  return 1252;
}

// Whether the double-byte code pages (Japanese, Simplified and Traditional Chinese, Korean)
// encode AChar in two bytes: their repertoires outside ASCII are, apart from Japanese
// half-width katakana, all two-byte characters.
bool TextLayoutIsDoubleByteInCodePage(uint32_t ACodePage, Char AChar) {
  if (ACodePage != 932 && ACodePage != 936 && ACodePage != 949 && ACodePage != 950) return false;
  if (ACodePage == 932 && AChar >= 0xFF61 && AChar <= 0xFF9F) return false;
  return (AChar >= 0x0391 && AChar <= 0x0451) || (AChar >= 0x2010 && AChar <= 0x2BFF) ||
         (AChar >= 0x2E80 && AChar <= 0xD7AF) || (AChar >= 0xF900 && AChar <= 0xFAFF) ||
         (AChar >= 0xFE30 && AChar <= 0xFE6F) || (AChar >= 0xFF00 && AChar <= 0xFFEF);
}

const Char* TextLayoutFindLineEnd(const Char* P, const Char* AEnd) {
  while (P < AEnd && !TextLayoutIsLineEnd(*P)) ++P;
  return P;
}

}  // namespace

// --- Rows --------------------------------------------------------------------------------------

TcxTextRow& cxGetTextRow(TcxTextRows& ARows, int32_t AIndex) {
  if (AIndex < cxTextRowsStaticCount) return ARows.StaticRows[AIndex];
  return ARows.DynamicRows[static_cast<size_t>(AIndex - cxTextRowsStaticCount)];
}

const TcxTextRow& cxGetTextRow(const TcxTextRows& ARows, int32_t AIndex) {
  if (AIndex < cxTextRowsStaticCount) return ARows.StaticRows[AIndex];
  return ARows.DynamicRows[static_cast<size_t>(AIndex - cxTextRowsStaticCount)];
}

void ValidateTextRows(TcxTextRows& ARows, int32_t ACount) {
  ARows.Count = ACount;
  if (static_cast<int64_t>(ARows.DynamicRows.size()) < static_cast<int64_t>(ACount) - cxTextRowsStaticCount)
    ARows.DynamicRows.resize(static_cast<size_t>(ACount - cxTextRowsStaticCount + 4));
  if (ACount > 0) cxGetTextRow(ARows, ACount - 1) = TcxTextRow{};
}

// --- Parameters --------------------------------------------------------------------------------

TcxTextParams cxCalcTextParams(HDC ADC, uint32_t AFormat, double ALineSpacingFactor) {
  TcxTextParams P;
  TEXTMETRICW tm{};
  if (GetTextMetricsW(ADC, &tm)) {
    P.Bold = tm.tmWeight >= FW_BOLD;
    P.BreakChar = tm.tmBreakChar;
    P.MaxCharWidth = tm.tmMaxCharWidth;
    P.RowHeight = tm.tmHeight;
    P.CharSet = tm.tmCharSet;
  }
  P.TextAlignX =
      static_cast<TcxTextAlignX>(std::min<uint32_t>(AFormat & CXTO_HORZ_ALIGN_MASK, taDistributeX));
  P.TextAlignY = static_cast<TcxTextAlignY>((AFormat >> CXTO_VERT_ALIGN_OFFSET) & CXTO_VERT_ALIGN_MASK);
  P.WordBreak = (AFormat & CXTO_WORDBREAK) != 0;
  P.SingleLine = (AFormat & CXTO_SINGLELINE) != 0;
  P.ExpandTabs = (AFormat & CXTO_EXPANDTABS) != 0;
  P.EndEllipsis = (AFormat & CXTO_END_ELLIPSIS) != 0;
  P.ExternalLeading = (AFormat & CXTO_EXTERNALLEADING) != 0;
  P.EditControl = (AFormat & CXTO_EDITCONTROL) != 0;
  P.ExcelStyle = (AFormat & CXTO_EXCELSTYLE) != 0;
  P.NoClip = (AFormat & CXTO_NOCLIP) != 0;
  P.AutoIndents = (AFormat & CXTO_AUTOINDENTS) != 0;
  P.PatternedText = (AFormat & CXTO_PATTERNEDTEXT) != 0;
  P.PreventLeftExceed = (AFormat & CXTO_PREVENT_LEFT_EXCEED) != 0;
  P.PreventTopExceed = (AFormat & CXTO_PREVENT_TOP_EXCEED) != 0;
  P.CharBreak = (AFormat & CXTO_CHARBREAK) != 0 || TextLayoutSystemIsEastAsian();
  P.CalcRowCount = (AFormat & CXTO_CALCROWCOUNT) != 0;
  P.CalcRect = (AFormat & CXTO_CALCRECT) != 0;
  P.HidePrefix = (AFormat & CXTO_HIDEPREFIX) != 0;
  P.RTLReading = (AFormat & CXTO_RTLREADING) != 0;
  P.tmExternalLeading = P.ExternalLeading ? tm.tmExternalLeading : 0;
  POINT pts[3] = {{0, 0}, {1, 1}, {0, 6}};
  DPtoLP(ADC, pts, 3);
  P.OnePixel = pts[1].X - pts[0].X;
  P.FullRowHeight =
      static_cast<int32_t>(std::nearbyint((P.RowHeight + P.tmExternalLeading) * ALineSpacingFactor));
  if (P.PatternedText) P.PatternedText = P.RowHeight < pts[2].Y - pts[0].Y;
  if (P.EndEllipsis) {
    TSize size{};
    cxCalcTextExtents(ADC, cxEndEllipsisChars, cxEndEllipsisCharsLength, size, false);
    P.EndEllipsisWidth = size.cx;
  }
  return P;
}

TcxTextParams cxCalcTextParams(TCanvas* ACanvas, uint32_t AFormat, double ALineSpacingFactor) {
  return cxCalcTextParams(ACanvas->Handle(), AFormat, ALineSpacingFactor);
}

TcxTextRowFormat MakeTextRowFormat(const TcxTextParams& P) {
  TcxTextRowFormat F;
  F.Align = P.TextAlignX;
  F.BreakByWords =
      !P.SingleLine && (P.WordBreak || P.TextAlignX == taJustifyX || P.TextAlignX == taDistributeX);
  F.BreakByChars = F.BreakByWords && (P.CharBreak || P.EditControl);
  F.CalcRect = P.CalcRect;
  F.EditControl = P.EditControl;
  F.EndEllipsis = P.EndEllipsis;
  F.ExpandTabs = P.ExpandTabs;
  F.ExcelStyle = P.ExcelStyle;
  F.SingleLine = P.SingleLine;
  return F;
}

// --- Measuring ---------------------------------------------------------------------------------

void cxGetTabbedTextExtentW(HDC ADC, const Char* AText, int32_t ALength, TSize& ASize) {
  const DWORD packed = GetTabbedTextExtentW(ADC, reinterpret_cast<LPCWSTR>(AText), ALength, 0, nullptr);
  ASize = {static_cast<int32_t>(LOWORD(packed)), static_cast<int32_t>(HIWORD(packed))};
  SIZE w{};
  GetTextExtentPoint32W(ADC, u"W", 1, &w);
  if (static_cast<int64_t>(ALength) * w.cx > 0xFFFF) {
    // The packed width has only 16 bits: take the whole width from DrawText.
    RECT r{0, 0, 0, 0};
    DrawTextW(ADC, reinterpret_cast<LPCWSTR>(AText), ALength, &r,
              DT_NOPREFIX | DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE);
    if (r.Right - r.Left >= 0x10000) ASize.cx = r.Right - r.Left;
  }
}

void cxCalcTextExtents(HDC ADC, const Char* AText, int32_t ALength, TSize& ASize, bool AExpandTabs) {
  ASize = {};
  if (ALength <= 0) return;
  if (!AExpandTabs || std::find(AText, AText + ALength, u'\t') == AText + ALength) {
    SIZE s{};
    if (GetTextExtentPoint32W(ADC, reinterpret_cast<LPCWSTR>(AText), ALength, &s)) ASize = {s.cx, s.cy};
    return;
  }
  if (ALength <= 4095) {
    cxGetTabbedTextExtentW(ADC, AText, ALength, ASize);
    return;
  }
  auto measure = [&](int32_t ACount) {
    RECT r{0, 0, 0, 0};
    const int h = DrawTextW(ADC, reinterpret_cast<LPCWSTR>(AText), ACount, &r,
                            DT_NOPREFIX | DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE);
    ASize = {r.Right - r.Left, h};
  };
  measure(ALength);
  if (ASize.cx == 0) measure(MaxSymbolsOnTabbedLine);
}

void cxCalcTextExtentsEx(HDC ADC, const Char* AText, int32_t ACount, TSize& ASize, void*, bool AExpandTabs) {
  cxCalcTextExtents(ADC, AText, ACount, ASize, AExpandTabs);
}

bool cxGetTextExtentExPoint(HDC ADC, const Char* AText, int32_t ALength, int32_t AMaxExtent, int32_t& AFit,
                            int32_t* ADx) {
  SIZE size{};
  INT fit = 0;
  const bool ok = GetTextExtentExPointW(ADC, reinterpret_cast<LPCWSTR>(AText), ALength, AMaxExtent, &fit,
                                        reinterpret_cast<INT*>(ADx), &size) != FALSE;
  AFit = ok ? fit : 0;
  return ok;
}

int32_t cxTabbedTextOutW(HDC ADC, int32_t X, int32_t Y, const Char* AText, int32_t ALength,
                         int32_t ATabOrigin) {
  return TabbedTextOutW(ADC, X, Y, reinterpret_cast<LPCWSTR>(AText),
                        std::min(ALength, MaxSymbolsOnTabbedLine), 0, nullptr, ATabOrigin);
}

// --- Breaking ----------------------------------------------------------------------------------

bool IsFarEastLineBreak(Char C) {
  static constexpr Char kSingles[] = {
      0x0021, 0x0025, 0x0029, 0x002C, 0x002E, 0x003A, 0x003B, 0x003E, 0x003F, 0x005D, 0x007D, 0x00A8, 0x00B0,
      0x00B7, 0x02C7, 0x02C9, 0x2013, 0x2014, 0x2015, 0x2016, 0x2018, 0x2019, 0x201D, 0x2022, 0x2025, 0x2026,
      0x2027, 0x2032, 0x2033, 0x2103, 0x2236, 0x2574, 0x3001, 0x3002, 0x3003, 0x3005, 0x3009, 0x300B, 0x300D,
      0x300F, 0x3011, 0x3015, 0x3017, 0x301E, 0x309B, 0x309C, 0xFE30, 0xFE31, 0xFE33, 0xFE34, 0xFE36, 0xFE38,
      0xFE3A, 0xFE3C, 0xFE3E, 0xFE40, 0xFE42, 0xFE44, 0xFE4F, 0xFE50, 0xFE51, 0xFE52, 0xFE54, 0xFE55, 0xFE56,
      0xFE57, 0xFE5A, 0xFE5C, 0xFE5E, 0xFF01, 0xFF02, 0xFF05, 0xFF07, 0xFF09, 0xFF0C, 0xFF0D, 0xFF0E, 0xFF1A,
      0xFF1B, 0xFF1E, 0xFF1F, 0xFF3D, 0xFF5C, 0xFF5D, 0xFF5E, 0xFF61, 0xFF63, 0xFF64, 0xFF9E, 0xFF9F};
  if (C >= 0xFFE0) return true;
  return std::binary_search(std::begin(kSingles), std::end(kSingles), C);
}

bool IsFarEastFullWidthCharacter(uint32_t ACodePage, Char AChar) {
  if (AChar < 0x80) return false;
  if ((AChar >= 0x4E00 && AChar <= 0x9FFF) || (AChar >= 0x3040 && AChar <= 0x309F) ||
      (AChar >= 0x30A0 && AChar <= 0x30FF) || (AChar >= 0xAC00 && AChar <= 0xD7A3))
    return true;
  return TextLayoutIsDoubleByteInCodePage(TextLayoutAnsiCodePage(ACodePage), AChar);
}

const Char* cxGetNextWordBreak(uint32_t ACodePage, const Char* AStart, const Char* AEnd) {
  const Char* P = AStart;
  if (P >= AEnd) return AEnd;
  if (TextLayoutIsSpace(*P)) return P + 1;
  if (TextLayoutIsLineEnd(*P)) return P;
  if (IsFarEastFullWidthCharacter(ACodePage, *P)) {
    ++P;
    if (P < AEnd && IsFarEastLineBreak(*P)) ++P;
    return P;
  }
  for (++P; P < AEnd; ++P)
    if (TextLayoutIsSpace(*P) || TextLayoutIsLineEnd(*P) || IsFarEastFullWidthCharacter(ACodePage, *P))
      return P;
  return AEnd;
}

const Char* BreakAWord(HDC ADC, const Char* AText, int32_t ALength, bool AExpandTabs, int32_t AMaxWidth,
                       TcxCalcTextExtentsProc AProc, void* AUserData) {
  int32_t lo = 0, hi = ALength;
  while (hi - lo > 1) {
    const int32_t mid = lo + (hi - lo) / 2;
    if (TextLayoutExtent(ADC, AText, mid, AProc, AUserData, AExpandTabs) > AMaxWidth)
      hi = mid;
    else
      lo = mid;
  }
  if (ALength > 0) lo = std::max(lo, 1);
  return AText + lo;
}

namespace {

// Steps over one line break: CR or CR LF, LF or LF CR.
const Char* TextLayoutSkipLineBreak(const Char* Q, const Char* AEnd) {
  const Char first = *Q++;
  const Char pair = first == kTextLayoutCR ? kTextLayoutLF : kTextLayoutCR;
  if (Q < AEnd && *Q == pair) ++Q;
  return Q;
}

}  // namespace

const Char* GetLineBreak(HDC ADC, const Char* ALineStart, int32_t ACount, void* AUserData,
                         TcxCalcTextExtentsProc AProc, TcxTextRow& ARow, const TcxTextRowFormat& F,
                         int32_t AMaxWidth) {
  ARow.Text = ALineStart;
  const Char* end = ALineStart + ACount;
  const Char* P = ALineStart;
  const Char* rowEnd = ALineStart;
  const Char* next = end;
  int32_t extent = 0;
  bool adjust = false;
  bool stopped = false;
  while (P < end && !stopped) {
    const Char* Q = F.BreakByWords ? cxGetNextWordBreak(0, P, end) : TextLayoutFindLineEnd(P, end);
    const int32_t newExtent = TextLayoutExtent(ADC, ALineStart, static_cast<int32_t>(Q - ALineStart), AProc,
                                               AUserData, F.ExpandTabs);
    // Q == P only at a line break, which the next step handles; cutting there could not
    // make progress.
    if (F.BreakByWords && newExtent > AMaxWidth && Q > P) {
      stopped = true;
      if (P != ALineStart && !F.Special) {
        rowEnd = next = P;
        adjust = true;
      } else if (F.BreakByChars) {
        rowEnd = next = BreakAWord(ADC, P, static_cast<int32_t>(Q - P), F.ExpandTabs, AMaxWidth - extent,
                                   AProc, AUserData);
      } else {
        adjust = true;
        rowEnd = next = Q;
        if (F.EndEllipsis && Q < end && TextLayoutIsLineEnd(*Q)) {
          next = TextLayoutSkipLineBreak(Q, end);
          adjust = false;
        }
      }
    } else if (Q < end && TextLayoutIsLineEnd(*Q)) {
      stopped = true;
      rowEnd = Q;
      next = TextLayoutSkipLineBreak(Q, end);
    } else {
      rowEnd = Q;
      extent = newExtent;
      P = Q;
    }
  }
  if (!stopped) next = end;
  int32_t length = static_cast<int32_t>(rowEnd - ALineStart);
  if (adjust && next < end) {
    switch (F.Align) {
      case taLeft:
        if (TextLayoutIsSpace(*next)) ++next;
        break;
      case taCenterX:
        if (length > 0 && TextLayoutIsSpace(ALineStart[length - 1])) --length;
        if (next < end && TextLayoutIsSpace(*next)) ++next;
        break;
      case taRight:
        if (length > 0 && TextLayoutIsSpace(ALineStart[length - 1])) --length;
        break;
      default:
        break;
    }
    if (F.ExcelStyle)
      while (next < end && *next == u' ') ++next;
  }
  ARow.BreakCount = 0;
  if (F.Align == taDistributeX || (F.Align == taJustifyX && adjust)) {
    while (length > 0 && TextLayoutIsSpace(ALineStart[length - 1])) --length;
    ARow.BreakCount = static_cast<int32_t>(std::count_if(ALineStart, ALineStart + length, TextLayoutIsSpace));
  }
  ARow.TextLength = length;
  return next;
}

bool cxMakeTextRows(HDC ADC, const Char* AText, int32_t ATextLength, const TRect& ARect,
                    const TcxTextParams& P, TcxTextRows& ATextRows, int32_t& ARowCount, int32_t AMaxLineCount,
                    TcxCalcTextExtentsProc AProc, void* AUserData) {
  ATextRows.Count = 0;
  ATextRows.DynamicRows.clear();
  ATextRows.Text = AText;
  ARowCount = 0;
  if (!AText || ATextLength <= 0) return true;
  if (P.CalcRect && P.SingleLine) {
    ValidateTextRows(ATextRows, 1);
    TcxTextRow& row = cxGetTextRow(ATextRows, 0);
    row.Text = AText;
    row.TextLength = ATextLength;
    AProc(ADC, AText, ATextLength, row.TextExtents, AUserData, P.ExpandTabs);
    ARowCount = 1;
    return true;
  }
  const int32_t W = ARect.Width(), H = ARect.Height();
  const bool calculate = P.CalcRect || P.CalcRowCount;
  const bool E =
      P.EndEllipsis && !P.NoClip && !calculate && P.TextAlignX != taJustifyX && P.TextAlignX != taDistributeX;
  TcxTextRowFormat F = MakeTextRowFormat(P);
  const Char* start = AText;
  int32_t remaining = ATextLength;
  int64_t totalHeight = 0;
  bool last = false;
  while (remaining > 0 && !last) {
    ++ARowCount;
    ValidateTextRows(ATextRows, ARowCount);
    totalHeight += P.FullRowHeight;
    if (P.SingleLine)
      last = true;
    else if (P.TextAlignY == taTop && !calculate)
      last = H < totalHeight || (P.EditControl && !P.NoClip && H < totalHeight + P.FullRowHeight);
    else
      last = AMaxLineCount >= 1 && ARowCount == AMaxLineCount;
    F.Special = last && E;
    TcxTextRow& row = cxGetTextRow(ATextRows, ARowCount - 1);
    const Char* next = GetLineBreak(ADC, start, remaining, AUserData, AProc, row, F, W);
    row.StartOffset = static_cast<int32_t>(start - AText);
    remaining -= static_cast<int32_t>(next - start);
    start = next;
    row.TextExtents = {};
    if (row.TextLength > 0) AProc(ADC, row.Text, row.TextLength, row.TextExtents, AUserData, P.ExpandTabs);
    if (remaining == 0) last = true;
    if (AMaxLineCount > 0 && ARowCount >= AMaxLineCount) break;
  }
  if (!calculate && ARowCount > 0) {
    if (P.SingleLine) return cxGetTextRow(ATextRows, 0).TextExtents.cx <= W;
    return remaining == 0;
  }
  return true;
}

}  // namespace qd
