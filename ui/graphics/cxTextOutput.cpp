// The second half of the text engine: placing and drawing rows, the end ellipsis, the
// highlighted range, cxTextOut and rotated text.
#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

#include "platform/base/mathutil.h"
#include "platform/os/gdi.h"
#include "ui/core/dxCore.h"
#include "ui/graphics/cxTextLayout.h"
#include "ui/graphics/dxCoreGraphics.h"

namespace qd {

namespace {

HBRUSH TextOutputFillPatterns[2] = {nullptr, nullptr};

constexpr UINT kTextOutputClipTexts[2] = {0, ETO_CLIPPED};

HBRUSH TextOutputCreatePatternBrush(const uint16_t (&ABits)[8]) {
  HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, ABits);
  HBRUSH brush = CreatePatternBrush(bitmap);
  DeleteObject(bitmap);
  return brush;
}

int32_t TextOutputWidth(HDC ADC, const Char* AText, int32_t ACount) {
  SIZE s{};
  if (ACount <= 0 || !GetTextExtentPoint32W(ADC, reinterpret_cast<LPCWSTR>(AText), ACount, &s)) return 0;
  return s.cx;
}

// Saves the DC's clip region (device coordinates) and puts it back.
class TextOutputClipSaver {
 public:
  explicit TextOutputClipSaver(HDC ADC) : FDC(ADC), FRegion(CreateRectRgn(0, 0, 0, 0)) {
    FHasRegion = GetClipRgn(ADC, FRegion) == 1;
  }
  ~TextOutputClipSaver() { DeleteObject(FRegion); }
  TextOutputClipSaver(const TextOutputClipSaver&) = delete;
  TextOutputClipSaver& operator=(const TextOutputClipSaver&) = delete;
  void Restore() { SelectClipRgn(FDC, FHasRegion ? FRegion : nullptr); }

 private:
  HDC FDC;
  HRGN FRegion;
  bool FHasRegion = false;
};

void TextOutputDrawRow(HDC ADC, const TcxTextRow& ARow, const TcxTextParams& P) {
  if (ARow.TextLength <= 0) return;
  if (P.ExpandTabs) {
    const int32_t origin = P.RTLReading ? ARow.TextOriginX + ARow.TextExtents.cx : ARow.TextOriginX;
    cxTabbedTextOutW(ADC, ARow.TextOriginX, ARow.TextOriginY, ARow.Text, ARow.TextLength, origin);
  } else {
    TextOutW(ADC, ARow.TextOriginX, ARow.TextOriginY, reinterpret_cast<LPCWSTR>(ARow.Text), ARow.TextLength);
  }
}

// ABrush, when given, fills the ellipsis rectangle first.
void TextOutputDrawEllipsis(HDC ADC, const TcxTextRow& ARow, const TcxTextParams& P, const TRect& R,
                            HBRUSH ABrush = nullptr) {
  TRect e;
  UINT options = 0;
  if (!P.RTLReading) {
    e.Left = ARow.TextOriginX + ARow.TextExtents.cx;
    e.Right = std::min(e.Left + P.EndEllipsisWidth, R.Right);
    const bool fits = e.Left + P.EndEllipsisWidth <= R.Right;
    options = kTextOutputClipTexts[!P.NoClip && !fits];
  } else {
    e.Right = P.TextAlignX == taLeft ? R.Left + P.EndEllipsisWidth : ARow.TextOriginX;
    e.Left = std::max(R.Left, e.Right - P.EndEllipsisWidth);
    const bool fits = e.Right - P.EndEllipsisWidth >= R.Left;
    options = kTextOutputClipTexts[!P.NoClip && !fits] | ETO_RTLREADING;
  }
  e.Top = ARow.TextOriginY;
  e.Bottom = ARow.TextOriginY + P.FullRowHeight;
  if (e.Right <= e.Left) return;
  RECT clip = e;
  if (ABrush) FillRect(ADC, &clip, ABrush);
  ExtTextOutW(ADC, e.Left, ARow.TextOriginY, options, &clip, reinterpret_cast<LPCWSTR>(cxEndEllipsisChars),
              cxEndEllipsisCharsLength, nullptr);
}

}  // namespace

namespace cxTextLayout {

void Initialize() {
  static constexpr uint16_t kStandardPatternBits[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  static constexpr uint16_t kBoldPatternBits[8] = {0, 0, 0, 0, 0, 0, 0, 0};
  if (!TextOutputFillPatterns[0])
    TextOutputFillPatterns[0] = TextOutputCreatePatternBrush(kStandardPatternBits);
  if (!TextOutputFillPatterns[1]) TextOutputFillPatterns[1] = TextOutputCreatePatternBrush(kBoldPatternBits);
}

void Finalize() {
  for (HBRUSH& brush : TextOutputFillPatterns) {
    if (brush) DeleteObject(brush);
    brush = nullptr;
  }
}

HBRUSH FillPattern(bool ABold) {
  return TextOutputFillPatterns[ABold];
}

}  // namespace cxTextLayout

TRect cxPrepareRect(const TRect& ARect, const TcxTextParams& P, int32_t ALeftIndent, int32_t ARightIndent) {
  TRect r = ARect;
  if (P.AutoIndents)
    r = {r.Left + 2 * P.OnePixel, r.Top + 2 * P.OnePixel, r.Right - 2 * P.OnePixel,
         r.Bottom - 2 * P.OnePixel};
  r.Left += ALeftIndent * P.OnePixel;
  r.Right -= ARightIndent * P.OnePixel;
  return r;
}

TRect cxUnprepareRect(const TRect& ARect, const TcxTextParams& P, int32_t ALeftIndent, int32_t ARightIndent) {
  TRect r = ARect;
  r.Left -= ALeftIndent * P.OnePixel;
  r.Right += ARightIndent * P.OnePixel;
  if (P.AutoIndents)
    r = {r.Left - 2 * P.OnePixel, r.Top - 2 * P.OnePixel, r.Right + 2 * P.OnePixel,
         r.Bottom + 2 * P.OnePixel};
  return r;
}

void cxPlaceTextRows(HDC, const TRect& R, TcxTextParams& P, TcxTextRows& ATextRows, int32_t ARowCount) {
  const int32_t N = ARowCount;
  int32_t extra = 0;
  if (P.TextAlignY == taDistributeY && N > 1) {
    const int32_t G = R.Height() - P.RowHeight;
    if (P.RowHeight < static_cast<double>(G) / (N - 1)) {
      P.FullRowHeight = G / (N - 1);
      extra = G % (N - 1);
    }
  }
  int64_t top;
  switch (P.TextAlignY) {
    case taCenterY:
      top = R.Top + (R.Height() - static_cast<int64_t>(N) * P.FullRowHeight) / 2;
      break;
    case taBottom:
      top = R.Bottom + P.tmExternalLeading - static_cast<int64_t>(N) * P.FullRowHeight;
      break;
    default:
      top = R.Top;
      break;
  }
  if (P.PreventTopExceed) top = std::max<int64_t>(top, R.Top);
  for (int32_t i = 0; i < N; ++i) {
    TcxTextRow& row = cxGetTextRow(ATextRows, i);
    const int32_t w = row.TextExtents.cx;
    const int32_t D = R.Width() - w;
    int32_t x;
    switch (P.TextAlignX) {
      case taCenterX:
        x = P.SingleLine || !P.WordBreak ? R.Right - D / 2 - w : R.Left + D / 2;
        break;
      case taRight:
        x = R.Right - w;
        break;
      default:
        x = R.Left;
        break;
    }
    if (P.PreventLeftExceed) x = std::max(x, R.Left);
    row.TextOriginX = x;
    row.TextOriginY = static_cast<int32_t>(top);
    top += P.FullRowHeight;
    if (extra > 0) {
      ++top;
      --extra;
    }
  }
}

void cxPrepareEndEllipsis(HDC ADC, TcxTextRow& ARow, const TcxTextParams& P, TcxCalcTextExtentsProc AProc,
                          const TRect& R, int32_t& AMaxWidth, void* AUserData) {
  AMaxWidth = std::max(AMaxWidth - P.EndEllipsisWidth, 0);
  int32_t fit = 0;
  if (ARow.TextLength > 0 &&
      !cxGetTextExtentExPoint(ADC, ARow.Text, ARow.TextLength, AMaxWidth, fit, nullptr))
    fit = 0;
  if (fit == 0 && ARow.TextLength > 0 &&
      ((!P.RTLReading && P.TextAlignX == taLeft) || (P.RTLReading && P.TextAlignX == taRight)))
    fit = 1;
  ARow.TextLength = std::min(fit, ARow.TextLength);
  ARow.TextExtents = {};
  if (ARow.TextLength > 0) AProc(ADC, ARow.Text, ARow.TextLength, ARow.TextExtents, AUserData, P.ExpandTabs);
  const int32_t w = ARow.TextExtents.cx, E = P.EndEllipsisWidth;
  if (!P.RTLReading) {
    if (P.TextAlignX == taCenterX)
      ARow.TextOriginX = R.Left + (R.Width() - (w + E)) / 2;
    else if (P.TextAlignX == taRight)
      ARow.TextOriginX = R.Right - w - E;
  } else {
    if (P.TextAlignX == taLeft)
      ARow.TextOriginX += E;
    else if (P.TextAlignX == taCenterX)
      ARow.TextOriginX = R.Left + (R.Width() - (w + E)) / 2 + E;
    else if (P.TextAlignX == taRight)
      ARow.TextOriginX = R.Right - w;
  }
}

void cxTextRowsOutHighlight(HDC ADC, const TRect& R, const TcxTextParams& P, const TcxTextRows& ATextRows,
                            int32_t ARowCount, int32_t ASelStart, int32_t ASelLength, TColor ASelBkgColor,
                            TColor ASelTextColor, bool AForceEndEllipsis) {
  const bool hasSelTextColor = ASelTextColor != clNone && ASelTextColor != clDefault;
  const COLORREF selTextColor = hasSelTextColor ? ColorToRGB(ASelTextColor) : 0;
  HBRUSH selBrush = nullptr;
  if (ASelLength >= 1 && ASelBkgColor != clNone && ASelBkgColor != clDefault)
    selBrush = CreateSolidBrush(ColorToRGB(ASelBkgColor));
  const int prevBkMode = SetBkMode(ADC, TRANSPARENT);
  const UINT prevAlign = GetTextAlign(ADC);
  if (P.RTLReading) SetTextAlign(ADC, prevAlign | TA_RTLREADING);
  const bool metafile = IsMetaFile(ADC);
  const int32_t count = std::min(ARowCount, ATextRows.Count);
  for (int32_t i = 0; i < count; ++i) {
    TcxTextRow row = cxGetTextRow(ATextRows, i);
    const bool lastRow = i == count - 1;
    TRect rowRect{R.Left, row.TextOriginY, R.Right, row.TextOriginY + P.FullRowHeight};
    if (row.TextLength <= 0) {
      if (lastRow && AForceEndEllipsis && P.EndEllipsis) TextOutputDrawEllipsis(ADC, row, P, R);
      continue;
    }
    if (P.PatternedText) {
      TRect bar{row.TextOriginX, rowRect.Top + P.OnePixel,
                std::min(R.Right, row.TextOriginX + row.TextExtents.cx), rowRect.Bottom - P.OnePixel};
      if (bar.Height() < P.OnePixel) bar.Bottom = bar.Top + P.OnePixel;
      const COLORREF prevBk = SetBkColor(ADC, GetSysColor(COLOR_WINDOW));
      RECT fill = bar;
      FillRect(ADC, &fill, cxTextLayout::FillPattern(P.Bold));
      SetBkColor(ADC, prevBk);
      continue;
    }
    bool ellipsis = P.EndEllipsis && lastRow && (AForceEndEllipsis || row.TextExtents.cx > R.Width());
    const bool justify = (P.TextAlignX == taJustifyX || P.TextAlignX == taDistributeX) && !ellipsis &&
                         R.Width() > row.TextExtents.cx && row.BreakCount > 0;
    if (justify) SetTextJustification(ADC, R.Width() - row.TextExtents.cx, row.BreakCount);
    TextOutputClipSaver clip(ADC);
    const bool clipRow =
        !P.NoClip && (row.TextExtents.cx > R.Width() || rowRect.Top < R.Top || rowRect.Bottom > R.Bottom);
    if (clipRow)
      IntersectClipRect(ADC, rowRect.Left, std::max(rowRect.Top, R.Top), rowRect.Right,
                        std::min(rowRect.Bottom, R.Bottom));
    if (ellipsis) {
      int32_t maxWidth = R.Width();
      cxPrepareEndEllipsis(ADC, row, P, cxCalcTextExtentsEx, R, maxWidth);
    }
    if (ASelLength > 0 && !metafile) {
      const int32_t s = std::max(ASelStart, row.StartOffset) - row.StartOffset;
      const int32_t e = std::min(ASelStart + ASelLength, row.StartOffset + row.TextLength) - row.StartOffset;
      if (s < e) {
        TextOutputClipSaver selClip(ADC);
        HRGN selRegion = nullptr;
        if (!P.RTLReading) {
          std::vector<int32_t> dx(static_cast<size_t>(row.TextLength));
          int32_t fit = 0;
          cxGetTextExtentExPoint(ADC, row.Text, row.TextLength, INT32_MAX, fit, dx.data());
          const TRect h{row.TextOriginX + (s > 0 ? dx[static_cast<size_t>(s - 1)] : 0), rowRect.Top,
                        row.TextOriginX + dx[static_cast<size_t>(e - 1)], rowRect.Bottom};
          if (h.IsEmpty()) {
            ellipsis = false;
          } else {
            IntersectClipRect(ADC, h.Left, h.Top, h.Right, h.Bottom);
            if (selBrush) {
              RECT f = h;
              FillRect(ADC, &f, selBrush);
            }
            selRegion = CreateRectRgn(h.Left, h.Top, h.Right, h.Bottom);
          }
        } else {
          const TRect textRect{row.TextOriginX, rowRect.Top, row.TextOriginX + row.TextExtents.cx,
                               rowRect.Bottom};
          selRegion = TdxRTLReadingCharacterPlacementHelper::GetSelectionRangeRegion(
              ADC, row.Text, row.TextLength, textRect, s, e - s, nullptr, true);
          if (selRegion) {
            POINT org{};
            GetWindowOrgEx(ADC, &org);
            HRGN deviceRegion = CreateRectRgn(0, 0, 0, 0);
            CombineRgn(deviceRegion, selRegion, nullptr, RGN_COPY);
            OffsetRgn(deviceRegion, -org.X, -org.Y);
            ExtSelectClipRgn(ADC, deviceRegion, RGN_AND);
            DeleteObject(deviceRegion);
            if (selBrush) FillRgn(ADC, selRegion, selBrush);
          }
        }
        if (selRegion) {
          const COLORREF prevColor = GetTextColor(ADC);
          if (hasSelTextColor) SetTextColor(ADC, selTextColor);
          TextOutputDrawRow(ADC, row, P);
          selClip.Restore();
          if (ellipsis && ASelStart + ASelLength >= row.StartOffset + row.TextLength) {
            // The dots stand for selected text: they get the selection's background too, or
            // the selection text colour could leave them invisible on the normal background.
            TextOutputDrawEllipsis(ADC, row, P, R, selBrush);
            ellipsis = false;
          }
          SetTextColor(ADC, prevColor);
          if (!P.RTLReading) {
            RECT b;
            GetRgnBox(selRegion, &b);
            ExcludeClipRect(ADC, b.Left, b.Top, b.Right, b.Bottom);
          } else {
            POINT org{};
            GetWindowOrgEx(ADC, &org);
            OffsetRgn(selRegion, -org.X, -org.Y);
            ExtSelectClipRgn(ADC, selRegion, RGN_DIFF);
          }
          DeleteObject(selRegion);
        }
      }
    }
    TextOutputDrawRow(ADC, row, P);
    if (ellipsis) TextOutputDrawEllipsis(ADC, row, P, R);
    clip.Restore();
    if (justify) SetTextJustification(ADC, 0, 0);
  }
  SetTextAlign(ADC, prevAlign);
  SetBkMode(ADC, prevBkMode);
  if (selBrush) DeleteObject(selBrush);
}

int32_t cxGetLongestTextRowWidth(const TcxTextRows& ATextRows, int32_t ARowCount) {
  int32_t result = 0;
  for (int32_t i = 0; i < std::min(ATextRows.Count, ARowCount); ++i)
    result = std::max(result, cxGetTextRow(ATextRows, i).TextExtents.cx);
  return result;
}

bool IsMetaFile(HDC ADC) {
  switch (GetObjectType(ADC)) {
    case OBJ_METADC:
    case OBJ_METAFILE:
    case OBJ_ENHMETADC:
    case OBJ_ENHMETAFILE:
      return true;
    default:
      return false;
  }
}

bool CanProcessText(const TcxTextParams& P, const TRect& ATextRect) {
  if (P.CalcRect) return ATextRect.Width() > 0;
  return ATextRect.Width() >= 1 && ATextRect.Height() >= 1;
}

int32_t cxTextOut(HDC ADC, const String& AText, TRect& ARect, uint32_t AFormat, int32_t ASelStart,
                  int32_t ASelLength, TFont* AFont, TColor ASelBkgColor, TColor ASelTextColor,
                  int32_t AMaxLineCount, int32_t ALeftIndent, int32_t ARightIndent, TColor ATextColor,
                  double ALineSpacingFactor) {
  if (AText.empty()) return 0;
  HGDIOBJ prevFont = GetCurrentObject(ADC, OBJ_FONT);
  const COLORREF prevColor = GetTextColor(ADC);
  if (AFont) {
    SelectObject(ADC, AFont->Handle());
    SetTextColor(ADC, ColorToRGB(AFont->Color()));
  }
  if (ATextColor != clDefault) SetTextColor(ADC, ColorToRGB(ATextColor));
  int32_t result = 0;
  TcxTextParams P = cxCalcTextParams(ADC, AFormat, ALineSpacingFactor);
  TRect textRect = cxPrepareRect(ARect, P, ALeftIndent, ARightIndent);
  const String text = P.HidePrefix ? RemoveAccelChars(AText, false) : AText;
  if (CanProcessText(P, textRect) && !text.empty()) {
    const auto rows = std::make_unique<TcxTextRows>();
    int32_t rowCount = 0;
    const int32_t length = static_cast<int32_t>(text.size());
    const bool fits = cxMakeTextRows(ADC, text.data(), length, textRect, P, *rows, rowCount, AMaxLineCount);
    if (rowCount > 0) {
      if (P.CalcRect) {
        if (AMaxLineCount > 0 && AMaxLineCount < rowCount) rowCount = AMaxLineCount;
        textRect.Right = textRect.Left + cxGetLongestTextRowWidth(*rows, rowCount);
        if (!P.SingleLine) {
          cxMakeTextRows(ADC, text.data(), length, textRect, P, *rows, rowCount, AMaxLineCount);
          if (AMaxLineCount > 0 && AMaxLineCount < rowCount) rowCount = AMaxLineCount;
        }
        cxPlaceTextRows(ADC, textRect, P, *rows, rowCount);
        const TcxTextRow& lastRow = cxGetTextRow(*rows, rowCount - 1);
        textRect.Bottom = lastRow.TextOriginY + P.RowHeight;
        ARect = cxUnprepareRect(textRect, P, ALeftIndent, ARightIndent);
      } else {
        cxPlaceTextRows(ADC, textRect, P, *rows, rowCount);
        if (ASelStart < 0 || ASelStart >= length) {
          ASelLength = 0;
        } else if (ASelLength > length - ASelStart) {
          ASelLength = length - ASelStart;
        }
        cxTextRowsOutHighlight(ADC, textRect, P, *rows, rowCount, ASelStart, ASelLength, ASelBkgColor,
                               ASelTextColor, !fits);
      }
      const TcxTextRow& lastRow = cxGetTextRow(*rows, rowCount - 1);
      const int32_t height = lastRow.TextOriginY + P.RowHeight - textRect.Top;
      result = P.CalcRowCount || height == 0 ? rowCount : height;
    }
  }
  SelectObject(ADC, prevFont);
  SetTextColor(ADC, prevColor);
  return result;
}

void cxRotatedTextOut(HDC ADC, const TRect& ARect, const String& AText, TFont* AFont,
                      TcxTextAlignX AAlignHorz, TcxTextAlignY AAlignVert, bool AWordBreak, bool ALeftExceed,
                      bool ARightExceed, TcxVerticalTextOutDirection ADirection, int32_t AFontSize) {
  static constexpr int32_t kAngles[2] = {-900, 900};
  static constexpr UINT kFlags[2] = {TA_BOTTOM, TA_TOP};
  if (AText.empty() || !AFont) return;
  const TRect R{ARect.Left + 2, ARect.Top + 2, ARect.Right - 2, ARect.Bottom - 2};
  LOGFONTW lf{};
  GetObjectW(AFont->Handle(), sizeof(lf), &lf);
  if (AFontSize != 0) lf.lfHeight = -MulDiv(AFontSize, GetDeviceCaps(ADC, LOGPIXELSY), 72);
  lf.lfEscapement = kAngles[ADirection];
  lf.lfOrientation = kAngles[ADirection];
  lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  HFONT font = CreateFontIndirectW(&lf);
  HGDIOBJ prevFont = SelectObject(ADC, font);
  const int prevBkMode = SetBkMode(ADC, TRANSPARENT);
  SetTextAlign(ADC, kFlags[ADirection]);

  const Char* text = AText.data();
  const int32_t length = static_cast<int32_t>(AText.size());
  auto width = [&](int32_t AStart, int32_t ACount) { return TextOutputWidth(ADC, text + AStart, ACount); };
  struct RotatedRow {
    int32_t Start, Length;
  };
  std::vector<RotatedRow> rows;
  if (!AWordBreak) {
    rows.push_back({0, length});
  } else {
    const int32_t limit = R.Height();
    int32_t start = 0;
    while (start < length) {
      int32_t fitEnd = -1;  // the last break whose width fits
      int32_t i = start;
      int32_t rowEnd = length;
      while (true) {
        while (i < length && text[i] != u' ' && text[i] != u'\r' && text[i] != u'\n') ++i;
        if (width(start, i - start) < limit) {
          fitEnd = i;
          if (i >= length || text[i] != u' ') {
            rowEnd = i;
            break;
          }
          ++i;
        } else {
          // A first word wider than the rectangle still makes a row of its own.
          rowEnd = fitEnd >= 0 ? fitEnd : i;
          break;
        }
      }
      rows.push_back({start, rowEnd - start});
      if (rowEnd >= length) break;
      if (text[rowEnd] == u' ') {
        start = rowEnd + 1;
      } else {
        // A line break: the next row starts after CR LF (or the single character).
        start = rowEnd + 1;
        if (text[rowEnd] == u'\r' && start < length && text[start] == u'\n') ++start;
      }
    }
  }
  SIZE zq{};
  GetTextExtentPoint32W(ADC, u"Zq", 2, &zq);
  const int32_t h = zq.cy;
  const int32_t N = static_cast<int32_t>(rows.size());
  int32_t x;
  if (ADirection == vtdBottomToTop) {
    x = AAlignVert == taTop       ? R.Left
        : AAlignVert == taCenterY ? (R.Left + R.Right - N * h) / 2
                                  : R.Right - N * h;
    x = std::max(x, R.Left);
  } else {
    x = AAlignVert == taTop       ? R.Right - h
        : AAlignVert == taCenterY ? (R.Left + R.Right + h * (N - 2)) / 2
                                  : R.Left + h * (N - 1);
    x = std::min(x, R.Right - h);
  }
  for (const RotatedRow& row : rows) {
    if (x < R.Left || x > R.Right) break;
    const int32_t w = width(row.Start, row.Length);
    TcxTextAlignX align = AAlignHorz;
    if (w > R.Height()) {
      if (ARightExceed)
        align = taRight;
      else if (ALeftExceed)
        align = taLeft;
    }
    int32_t y;
    if (ADirection == vtdTopToBottom)
      y = align == taLeft ? R.Top : align == taRight ? R.Bottom - w : R.Top + (R.Height() - w) / 2;
    else
      y = align == taLeft ? R.Bottom : align == taRight ? R.Top + w : R.Bottom - (R.Height() - w) / 2;
    ExtTextOutW(ADC, x, y, 0, nullptr, reinterpret_cast<LPCWSTR>(text + row.Start),
                static_cast<UINT>(row.Length), nullptr);
    x += ADirection == vtdBottomToTop ? h : -h;
  }
  SetBkMode(ADC, prevBkMode);
  SelectObject(ADC, prevFont);
  DeleteObject(font);
}

}  // namespace qd
