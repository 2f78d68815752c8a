#include "ui/graphics/cxGraphicsText.h"

#include <algorithm>

#include "platform/base/scopeexit.h"
#include "ui/core/cxGeometry.h"

namespace qd {

bool dxUseAntialiasingForRotatedText = true;

namespace {

int32_t TextFunctionsCharCount(const String& AText, int32_t ACount) {
  const auto n = static_cast<int32_t>(std::min<size_t>(AText.size(), 0x7FFFFFFF));
  return ACount < 0 ? n : std::min(ACount, n);
}

// The single-line size of Count characters from Text (DrawText with DT_CALCRECT).
TSize TextFunctionsRunSize(HDC ADC, const Char* AText, int32_t ACount, UINT AFlags) {
  TRect r{};
  DrawTextW(ADC, AText, ACount, &r, AFlags | DT_CALCRECT | DT_SINGLELINE);
  return {r.Width(), r.Height()};
}

bool IsTextLinesDelimiter(Char C) {
  return C == u' ' || C == u'\t' || C == u'\r' || C == u'\n';
}

bool IsTextLinesBreak(Char C) {
  return C == u'\r' || C == u'\n';
}

// The screen canvas with AFont, released (Dormant) when the guard ends.
class TcxScreenCanvasUse {
 public:
  explicit TcxScreenCanvasUse(TFont* AFont) : FCanvas(cxScreenCanvas()) {
    if (FCanvas && AFont) FCanvas->Font()->Assign(AFont);
  }
  ~TcxScreenCanvasUse() {
    if (FCanvas) FCanvas->Dormant();
  }
  TcxScreenCanvasUse(const TcxScreenCanvasUse&) = delete;
  TcxScreenCanvasUse& operator=(const TcxScreenCanvasUse&) = delete;
  TcxScreenCanvas* operator->() const { return FCanvas; }
  explicit operator bool() const { return FCanvas != nullptr; }

 private:
  TcxScreenCanvas* FCanvas;
};

}  // namespace

void dxSetFontAsNonAntialiased(TFont* AFont) {
  LOGFONTW lf{};
  if (GetObjectW(AFont->Handle(), sizeof(lf), &lf) == 0) lf = AFont->LogFont();
  lf.lfQuality = NONANTIALIASED_QUALITY;
  AFont->SetHandle(CreateFontIndirectW(&lf));
}

// --- Drawing -------------------------------------------------------------------------------

int32_t cxDrawText(HDC ADC, const String& AText, TRect& ARect, UINT AFormat, int32_t ACharCount,
                   TColor AColor, int32_t ABkMode) {
  const int32_t count = TextFunctionsCharCount(AText, ACharCount);
  if (count == 0) return DrawTextW(ADC, AText.c_str(), 0, &ARect, AFormat);
  const COLORREF oldColor = AColor != clDefault ? SetTextColor(ADC, ColorToRGB(AColor)) : CLR_INVALID;
  const int oldMode = SetBkMode(ADC, ABkMode);
  const int32_t result = DrawTextW(ADC, AText.c_str(), count, &ARect, AFormat);
  SetBkMode(ADC, oldMode);
  if (AColor != clDefault) SetTextColor(ADC, oldColor);
  return result;
}

int32_t cxDrawText(TCanvas* ACanvas, const String& AText, const TRect& ARect, UINT AFormat, TColor AColor) {
  TRect r = ARect;
  if (ACanvas->TextFlags() & ETO_RTLREADING) AFormat |= DT_RTLREADING;
  return cxDrawText(ACanvas->Handle(), AText, r, AFormat, -1, AColor, TRANSPARENT);
}

int32_t cxDrawText(TcxCanvas* ACanvas, const String& AText, const TRect& ARect, UINT AFormat, TColor AColor,
                   TcxRotationAngle ARotationAngle) {
  if (ARotationAngle == ra0) return cxDrawText(ACanvas->Canvas(), AText, ARect, AFormat, AColor);
  if (ARect.IsEmpty()) return 0;
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(ARect.Width(), ARect.Height());
  BitBlt(bitmap.Canvas()->Handle(), 0, 0, ARect.Width(), ARect.Height(), ACanvas->Handle(), ARect.Left,
         ARect.Top, SRCCOPY);
  ACanvas->RotateBitmap(&bitmap, AAntiRotationMap[ARotationAngle]);
  TCanvas* target = bitmap.Canvas();
  target->Font()->Assign(ACanvas->Font());
  target->SetTextFlags(ACanvas->TextFlags());
  if (!dxUseAntialiasingForRotatedText) dxSetFontAsNonAntialiased(target->Font());
  const int32_t result =
      cxDrawText(target, AText, TRect{0, 0, bitmap.Width(), bitmap.Height()}, AFormat, AColor);
  ACanvas->RotateBitmap(&bitmap, ARotationAngle);
  BitBlt(ACanvas->Handle(), ARect.Left, ARect.Top, ARect.Width(), ARect.Height(), bitmap.Canvas()->Handle(),
         0, 0, SRCCOPY);
  return result;
}

bool cxExtTextOut(HDC ADC, const String& AText, const TPoint& P, const TRect& R, UINT AOptions,
                  int32_t ACount) {
  return ExtTextOutW(ADC, P.X, P.Y, AOptions, &R, AText.c_str(),
                     static_cast<UINT>(TextFunctionsCharCount(AText, ACount)), nullptr) != FALSE;
}

// --- Measuring -------------------------------------------------------------------------------

bool cxGetTextExtentPoint32(HDC ADC, const String& AText, TSize& ASize, int32_t ACharCount) {
  ASize = {};
  SIZE size{};
  const bool ok =
      GetTextExtentPoint32W(ADC, AText.c_str(), TextFunctionsCharCount(AText, ACharCount), &size) != FALSE;
  if (ok) ASize = size;
  return ok;
}

int32_t cxTextHeight(HDC ADC) {
  TEXTMETRICW tm{};
  GetTextMetricsW(ADC, &tm);
  return tm.tmHeight;
}

int32_t cxTextHeight(TFont* AFont) {
  TcxScreenCanvasUse canvas(AFont);
  return canvas ? cxTextHeight(canvas->Handle()) : 0;
}

TSize cxTextExtent(TFont* AFont, const String& AText, int32_t AFontSize) {
  TcxScreenCanvasUse canvas(AFont);
  if (!canvas) return {};
  if (AFontSize != 0) canvas->Font()->SetSize(AFontSize);
  return canvas->TextExtent(AText);
}

int32_t cxTextWidth(TFont* AFont, const String& AText, int32_t AFontSize) {
  return cxTextExtent(AFont, AText, AFontSize).cx;
}

void cxGetTextRect(TRect& ARect, const String& AText, TFont* AFont, UINT AFlags) {
  TcxScreenCanvasUse canvas(AFont);
  if (canvas) cxDrawText(canvas->Handle(), AText, ARect, AFlags | DT_CALCRECT, -1, clDefault, TRANSPARENT);
}

TSize cxTextSize(TFont* AFont, const String& AText, UINT AFlags) {
  TRect r = cxNullRect;
  cxGetTextRect(r, AText, AFont, AFlags);
  return {r.Width(), r.Height()};
}

TRect cxGetTextRect(HDC ADC, const String& AText, int32_t ARowCount, bool AReturnMaxRectHeight, UINT AFlags) {
  TRect single{};
  DrawTextW(ADC, AText.c_str(), TextFunctionsCharCount(AText, -1), &single,
            AFlags | DT_CALCRECT | DT_SINGLELINE);
  const int64_t lineHeight = cxTextHeight(ADC);
  const int32_t limit =
      ARowCount <= 0 ? 32000 : static_cast<int32_t>(std::min<int64_t>(ARowCount * lineHeight, 0x7FFFFFFF));
  TRect result = single;
  if (ARowCount != 1) {
    const UINT wrap = AFlags | DT_CALCRECT | DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK;
    auto wrapped = [&](int32_t AWidth) {
      TRect r{0, 0, AWidth, 1};
      DrawTextW(ADC, AText.c_str(), TextFunctionsCharCount(AText, -1), &r, wrap);
      return r;
    };
    int32_t lo = wrapped(1).Width(), hi = single.Width();
    while (hi - lo > 1) {
      const int32_t mid = lo + (hi - lo) / 2;
      if (wrapped(mid).Bottom > limit)
        lo = mid;
      else
        hi = mid;
    }
    result = wrapped(lo);
    if (result.Bottom > limit) result = wrapped(hi);
  }
  if (AReturnMaxRectHeight) result.Bottom = limit;
  return result;
}

TSize cxTextSize(HDC ADC, const String& AText) {
  const TRect r = cxGetTextRect(ADC, AText, 1, false, 0);
  return {r.Width(), r.Height()};
}

// --- Lines -----------------------------------------------------------------------------------

void cxGetTextLines(const String& AText, TcxCanvas* ACanvas, const TRect& ARect, TStrings* ALines) {
  const size_t n = AText.size();
  if (n == 0) return;
  HDC dc = ACanvas->Handle();
  const Char* text = AText.c_str();
  const int32_t maxWidth = ARect.Width();
  size_t s = 0;          // the start of the current line
  size_t prevEnd = 0;    // the end of the previous word on this line
  bool hasPrev = false;  // a word is on this line already
  size_t pos = 0;        // where the search for the next word starts
  // Ends the line at a break found in [s, limit): adds it, skips the break characters and
  // their empty lines, and moves s after them. False when there is no break.
  auto takeBreak = [&](size_t limit) {
    size_t k = s;
    while (k < limit && !IsTextLinesBreak(text[k])) ++k;
    if (k >= limit) return false;
    ALines->Add(AText.substr(s, k - s));
    size_t j = k;
    int32_t breaks = 0;
    while (j < n && IsTextLinesBreak(text[j])) breaks += text[j++] == u'\n';
    const int32_t empty = j >= n ? breaks : std::max(breaks - 1, 0);
    for (int32_t i = 0; i < empty; ++i) ALines->Add(String());
    s = j;
    hasPrev = false;
    return true;
  };
  while (true) {
    size_t ws = pos;
    while (ws < n && IsTextLinesDelimiter(text[ws])) ++ws;
    // A line break before the word (or before the end of the text) ends the line.
    while (takeBreak(ws)) {
    }
    if (ws >= n) break;
    size_t we = ws;
    while (we < n && !IsTextLinesDelimiter(text[we])) ++we;
    const TSize size = TextFunctionsRunSize(dc, text + s, static_cast<int32_t>(we - s), 0);
    if (size.cx > maxWidth && hasPrev) {
      ALines->Add(AText.substr(s, prevEnd - s));
      s = ws;
    }
    prevEnd = we;
    hasPrev = true;
    pos = we;
    if (we >= n) break;
  }
  if (s < n) ALines->Add(AText.substr(s));
}

int32_t cxDrawMultilineText(TcxCanvas* ACanvas, const String& AText, const TRect& ARect, UINT AFormat,
                            TColor AColor) {
  TStringList lines;
  cxGetTextLines(AText, ACanvas, ARect, &lines);
  const int32_t count = lines.Count();
  HDC dc = ACanvas->Handle();
  const int32_t h = cxTextHeight(dc);
  const int64_t block = static_cast<int64_t>(count) * h;
  int32_t top = ARect.Top;
  if (AFormat & DT_VCENTER)
    top = std::max(
        ARect.Top,
        cxRectCenterVertically(ARect, static_cast<int32_t>(std::min<int64_t>(block, 0x7FFFFFFF))).Top);
  else if (AFormat & DT_BOTTOM)
    top = static_cast<int32_t>(std::max<int64_t>(ARect.Top, ARect.Bottom - block));
  UINT format = AFormat | DT_SINGLELINE;
  if (ACanvas->TextFlags() & ETO_RTLREADING) format |= DT_RTLREADING;
  for (int32_t i = 0; i < count; ++i) {
    TRect r{ARect.Left, top, ARect.Right, top + h};
    cxDrawText(dc, lines.Strings(i), r, format, -1, AColor, TRANSPARENT);
    top += h;
  }
  return count;
}

}  // namespace qd
