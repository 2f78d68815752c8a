#include "ui/graphics/cxGraphicsBlend.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>

#include "platform/base/mathutil.h"
#include "platform/os/user.h"
#include "ui/core/dxCore.h"
#include "ui/graphics/cxGraphicsCanvas.h"

namespace qd {

namespace {

uint8_t cxBlendClampByte(double v) {
  return static_cast<uint8_t>(std::clamp<int64_t>(Round(v), 0, 255));
}

std::unique_ptr<TBitmap> cxBlendNewBitmap32(int32_t AWidth, int32_t AHeight) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf32bit);
  b->SetSize(AWidth, AHeight);
  return b;
}

float cxBlendSinc(float x) {
  if (x == 0) return 1;
  const float px = std::numbers::pi_v<float> * x;
  return std::sin(px) / px;
}

float cxBlendLanczos3(float x) {
  if (std::fabs(x) >= 3) return 0;
  return cxBlendSinc(x) * cxBlendSinc(x / 3);
}

uint8_t cxBlendFilteredChannel(int32_t ASum) {
  return static_cast<uint8_t>(std::clamp(ASum >> 8, 0, 255));
}

void cxBlendFilterLine(const RGBQUAD* ASource, ptrdiff_t ASourceStep, RGBQUAD* ADest, ptrdiff_t ADestStep,
                       const std::vector<std::vector<TcxLanczos3Contributor>>& AContributors) {
  for (size_t i = 0; i < AContributors.size(); ++i) {
    int32_t b = 0, g = 0, r = 0, a = 0;
    for (const auto& c : AContributors[i]) {
      const RGBQUAD& q = ASource[c.Index * ASourceStep];
      b += c.Weight * q.rgbBlue;
      g += c.Weight * q.rgbGreen;
      r += c.Weight * q.rgbRed;
      a += c.Weight * q.rgbReserved;
    }
    ADest[static_cast<ptrdiff_t>(i) * ADestStep] =
        RGBQUAD{cxBlendFilteredChannel(b), cxBlendFilteredChannel(g), cxBlendFilteredChannel(r),
                cxBlendFilteredChannel(a)};
  }
}

// The routine both forms of cxAlphaBlend reach.
void cxBlendAlphaBlendCore(HDC ADestDC, HDC ASrcDC, const TRect& ADestRect, const TRect& ASrcRect,
                           bool ASmoothImage, uint8_t AConstantAlpha, TBitmap* ASrcBitmap) {
  if (ADestRect.IsEmpty() || ASrcRect.IsEmpty()) return;
  const bool smoothStretch =
      ASmoothImage && (ADestRect.Width() != ASrcRect.Width() || ADestRect.Height() != ASrcRect.Height());
  if (!IsWin64Bit() && !IsWin9X() && CanApplySystemAlphaBlending() && !smoothStretch) {
    SystemAlphaBlend(ADestDC, ASrcDC, ADestRect, ASrcRect, AConstantAlpha, true);
    return;
  }
  std::unique_ptr<TBitmap> ownSource;
  TBitmap* source = ASrcBitmap;
  TRect sourceRect = ASrcRect;
  if (!source) {
    ownSource = cxBlendNewBitmap32(ASrcRect.Width(), ASrcRect.Height());
    ownSource->SetAlphaFormat(afPremultiplied);
    cxClearBitmap(ownSource.get());
    cxBitBlt(ownSource->Canvas()->Handle(), ASrcDC, TRect{0, 0, ASrcRect.Width(), ASrcRect.Height()},
             ASrcRect.TopLeft(), SRCCOPY);
    source = ownSource.get();
    sourceRect = TRect{0, 0, ASrcRect.Width(), ASrcRect.Height()};
  }
  // No GDI+ paint canvas here: the 64-bit path takes the software route as well.
  const int32_t w = ADestRect.Width(), h = ADestRect.Height();
  auto work = cxBlendNewBitmap32(w, h);
  cxBitBlt(work->Canvas()->Handle(), ADestDC, TRect{0, 0, w, h}, ADestRect.TopLeft(), SRCCOPY);
  auto stretched = cxBlendNewBitmap32(w, h);
  cxStretchGraphic(stretched.get(), source, TRect{0, 0, w, h}, sourceRect, ASmoothImage, nullptr);
  if (!SystemAlphaBlend(work->Canvas()->Handle(), stretched->Canvas()->Handle(), TRect{0, 0, w, h},
                        TRect{0, 0, w, h}, AConstantAlpha, true)) {
    TRGBColors src, dst;
    dxCoreGraphics::GetBitmapBits(stretched.get(), src, false);
    dxCoreGraphics::GetBitmapBits(work.get(), dst, false);
    if (src.size() == dst.size()) {
      for (size_t i = 0; i < src.size(); ++i) cxBlendFunction(src[i], dst[i], AConstantAlpha);
      dxCoreGraphics::SetBitmapBits(work.get(), dst, false);
    }
  }
  cxBitBlt(ADestDC, work->Canvas()->Handle(), ADestRect, TPoint{0, 0}, SRCCOPY);
}

}  // namespace

// --- Block transfers -------------------------------------------------------------------------

void cxBitBlt(HDC ADestDC, HDC ASrcDC, const TRect& ADestRect, const TPoint& ASrcTopLeft, DWORD ARop) {
  BitBlt(ADestDC, ADestRect.Left, ADestRect.Top, ADestRect.Width(), ADestRect.Height(), ASrcDC, ASrcTopLeft.X,
         ASrcTopLeft.Y, ARop);
}

void cxStretchBlt(HDC ADestDC, HDC ASrcDC, const TRect& ADestRect, const TRect& ASrcRect, DWORD ARop) {
  StretchBlt(ADestDC, ADestRect.Left, ADestRect.Top, ADestRect.Width(), ADestRect.Height(), ASrcDC,
             ASrcRect.Left, ASrcRect.Top, ASrcRect.Width(), ASrcRect.Height(), ARop);
}

void cxDrawBitmap(HDC ADestDC, TBitmap* ABitmap, const TRect& ADestRect, const TPoint& ASrcPoint,
                  DWORD AMode) {
  cxBitBlt(ADestDC, ABitmap->Canvas()->Handle(), ADestRect, ASrcPoint, AMode);
}

// --- Blending --------------------------------------------------------------------------------

void cxBlendFunction(const RGBQUAD& ASource, RGBQUAD& ADest, uint8_t ASourceConstantAlpha) {
  const double c = ASourceConstantAlpha / 255.0;
  const double a = c * ASource.rgbReserved;
  const double e = 1 - a / 255;
  ADest.rgbRed = cxBlendClampByte(c * ASource.rgbRed + e * ADest.rgbRed);
  ADest.rgbGreen = cxBlendClampByte(c * ASource.rgbGreen + e * ADest.rgbGreen);
  ADest.rgbBlue = cxBlendClampByte(c * ASource.rgbBlue + e * ADest.rgbBlue);
  ADest.rgbReserved = cxBlendClampByte(a + e * ADest.rgbReserved);
}

bool CanApplySystemAlphaBlending() {
  return cxGraphics::VCLAlphaBlend != nullptr;
}

bool SystemAlphaBlend(HDC ADestDC, HDC ASrcDC, const TRect& ADestRect, const TRect& ASrcRect,
                      uint8_t AConstantAlpha, bool AUseSourceAlpha) {
  if (!CanApplySystemAlphaBlending()) return false;
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, AConstantAlpha,
                            static_cast<BYTE>(AUseSourceAlpha ? AC_SRC_ALPHA : 0)};
  return cxGraphics::VCLAlphaBlend(ADestDC, ADestRect.Left, ADestRect.Top, ADestRect.Width(),
                                   ADestRect.Height(), ASrcDC, ASrcRect.Left, ASrcRect.Top, ASrcRect.Width(),
                                   ASrcRect.Height(), blend) != FALSE;
}

void cxAlphaBlend(TBitmap* ADestBitmap, TBitmap* ASrcBitmap, const TRect& ADestRect, const TRect& ASrcRect,
                  bool ASmoothImage, uint8_t AConstantAlpha) {
  cxBlendAlphaBlendCore(ADestBitmap->Canvas()->Handle(), ASrcBitmap->Canvas()->Handle(), ADestRect, ASrcRect,
                        ASmoothImage, AConstantAlpha, ASrcBitmap);
}

void cxAlphaBlend(HDC ADestDC, TBitmap* ASrcBitmap, const TRect& ADestRect, const TRect& ASrcRect,
                  bool ASmoothImage, uint8_t AConstantAlpha) {
  cxBlendAlphaBlendCore(ADestDC, ASrcBitmap->Canvas()->Handle(), ADestRect, ASrcRect, ASmoothImage,
                        AConstantAlpha, ASrcBitmap);
}

// --- Stretching and resizing -----------------------------------------------------------------

void cxStretchGraphic(TBitmap* ABitmap, TGraphic* AGraphic, bool ASmoothImage, HPALETTE APalette) {
  cxStretchGraphic(ABitmap, AGraphic, TRect{0, 0, ABitmap->Width(), ABitmap->Height()},
                   TRect{0, 0, AGraphic->Width(), AGraphic->Height()}, ASmoothImage, APalette);
}

void cxStretchGraphic(TBitmap* ABitmap, TGraphic* AGraphic, const TRect& ADestRect, const TRect& ASourceRect,
                      bool ASmoothImage, HPALETTE APalette) {
  cxClearBitmap(ABitmap);
  std::unique_ptr<TBitmap> converted;
  auto* source = dynamic_cast<TBitmap*>(AGraphic);
  if (!source) {
    converted = cxBlendNewBitmap32(AGraphic->Width(), AGraphic->Height());
    cxClearBitmap(converted.get());
    AGraphic->Draw(converted->Canvas(), TRect{0, 0, AGraphic->Width(), AGraphic->Height()});
    source = converted.get();
  }
  const bool sameSize =
      ADestRect.Width() == ASourceRect.Width() && ADestRect.Height() == ASourceRect.Height();
  HDC dest = ABitmap->Canvas()->Handle();
  if (!ASmoothImage || sameSize) {
    if (sameSize)
      cxBitBlt(dest, source->Canvas()->Handle(), ADestRect, ASourceRect.TopLeft(), SRCCOPY);
    else
      cxStretchBlt(dest, source->Canvas()->Handle(), ADestRect, ASourceRect, SRCCOPY);
  } else if (ADestRect == TRect{0, 0, ABitmap->Width(), ABitmap->Height()} &&
             ASourceRect == TRect{0, 0, source->Width(), source->Height()}) {
    cxSmoothResizeBitmap(source, ABitmap, true);
  } else {
    auto part = cxBlendNewBitmap32(ASourceRect.Width(), ASourceRect.Height());
    cxBitBlt(part->Canvas()->Handle(), source->Canvas()->Handle(),
             TRect{0, 0, ASourceRect.Width(), ASourceRect.Height()}, ASourceRect.TopLeft(), SRCCOPY);
    auto resized = cxBlendNewBitmap32(ADestRect.Width(), ADestRect.Height());
    cxSmoothResizeBitmap(part.get(), resized.get(), true);
    cxBitBlt(dest, resized->Canvas()->Handle(), ADestRect, TPoint{0, 0}, SRCCOPY);
  }
  ABitmap->SetModified(true);
}

std::vector<std::vector<TcxLanczos3Contributor>> cxLanczos3Contributors(int32_t ASourceLength,
                                                                        int32_t ADestLength) {
  std::vector<std::vector<TcxLanczos3Contributor>> result(static_cast<size_t>(std::max(ADestLength, 0)));
  if (ASourceLength <= 0 || ADestLength <= 0) return result;
  const float f = (ASourceLength == 1 || ADestLength == 1)
                      ? static_cast<float>(ADestLength) / static_cast<float>(ASourceLength)
                      : static_cast<float>(ADestLength - 1) / static_cast<float>(ASourceLength - 1);
  const float w = f >= 1 ? 1.0f : 1.0f / f;
  const float r = 3 * w;
  for (int32_t i = 0; i < ADestLength; ++i) {
    const float c = static_cast<float>(i) / f;
    const auto first = static_cast<int32_t>(std::floor(c - r));
    const auto last = static_cast<int32_t>(std::ceil(c + r));
    auto& list = result[static_cast<size_t>(i)];
    for (int32_t j = first; j <= last; ++j) {
      const auto weight =
          static_cast<int32_t>(Round(cxBlendLanczos3((c - static_cast<float>(j)) / w) / w * 256));
      if (weight == 0) continue;
      int32_t index = j;
      if (index < 0)
        index = -index;
      else if (index >= ASourceLength)
        index = 2 * ASourceLength - 1 - index;
      // Mirroring alone leaves small or strongly reduced sources; no index may leave the source.
      index = std::clamp(index, 0, ASourceLength - 1);
      list.push_back({index, weight});
    }
  }
  return result;
}

void cxLanczos3Resize(const RGBQUAD* ASource, int32_t ASourceWidth, int32_t ASourceHeight, RGBQUAD* ADest,
                      int32_t ADestWidth, int32_t ADestHeight) {
  if (ASourceWidth <= 0 || ASourceHeight <= 0 || ADestWidth <= 0 || ADestHeight <= 0) return;
  const auto horizontal = cxLanczos3Contributors(ASourceWidth, ADestWidth);
  const auto vertical = cxLanczos3Contributors(ASourceHeight, ADestHeight);
  std::vector<RGBQUAD> temp(static_cast<size_t>(ADestWidth) * ASourceHeight);
  for (int32_t y = 0; y < ASourceHeight; ++y)
    cxBlendFilterLine(ASource + static_cast<ptrdiff_t>(y) * ASourceWidth, 1,
                      temp.data() + static_cast<ptrdiff_t>(y) * ADestWidth, 1, horizontal);
  for (int32_t x = 0; x < ADestWidth; ++x)
    cxBlendFilterLine(temp.data() + x, ADestWidth, ADest + x, ADestWidth, vertical);
}

void cxSmoothResizeBitmap(TBitmap* ASource, TBitmap* ADest, bool AForceUseLanczos3Filter) {
  if (ASource->Width() == 0 || ASource->Height() == 0 || ADest->Width() == 0 || ADest->Height() == 0) return;
  ASource->Canvas()->Lock();
  ADest->Canvas()->Lock();
  if (IsWinNT() && !AForceUseLanczos3Filter) {
    HDC dc = ADest->Canvas()->Handle();
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    cxStretchBlt(dc, ASource->Canvas()->Handle(), TRect{0, 0, ADest->Width(), ADest->Height()},
                 TRect{0, 0, ASource->Width(), ASource->Height()}, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
  } else {
    TRGBColors source, dest(static_cast<size_t>(ADest->Width()) * ADest->Height());
    if (dxCoreGraphics::GetBitmapBits(ASource, source, false)) {
      cxLanczos3Resize(source.data(), ASource->Width(), ASource->Height(), dest.data(), ADest->Width(),
                       ADest->Height());
      dxCoreGraphics::SetBitmapBits(ADest, dest, false);
    }
  }
  ADest->Canvas()->Unlock();
  ASource->Canvas()->Unlock();
}

// --- Bitmaps ---------------------------------------------------------------------------------

TBitmap* cxCreateBitmap(const TSize& ASize, TPixelFormat APixelFormat) {
  return cxCreateBitmap(ASize.cx, ASize.cy, APixelFormat);
}

TBitmap* cxCreateBitmap(int32_t AWidth, int32_t AHeight, TPixelFormat APixelFormat) {
  auto* result = new TBitmap();
  result->SetPixelFormat(APixelFormat);
  result->SetSize(AWidth, AHeight);
  return result;
}

void cxClearBitmap(TBitmap* ABitmap) {
  if (ABitmap->Empty()) return;
  const TRect r{0, 0, ABitmap->Width(), ABitmap->Height()};
  FillRect(ABitmap->Canvas()->Handle(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

HBITMAP cxCopyImage(HBITMAP AHandle) {
  BITMAP data;
  if (!AHandle || !dxGetBitmapData(AHandle, data) || data.bmWidth <= 0 || data.bmHeight <= 0) return nullptr;
  BITMAPINFO info{};
  dxFillBitmapInfoHeader(info.bmiHeader, data.bmWidth, data.bmHeight, false);
  HBITMAP result = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
  if (!result) return nullptr;
  HDC src = CreateCompatibleDC(nullptr), dst = CreateCompatibleDC(nullptr);
  HGDIOBJ oldSrc = SelectObject(src, AHandle), oldDst = SelectObject(dst, result);
  BitBlt(dst, 0, 0, data.bmWidth, data.bmHeight, src, 0, 0, SRCCOPY);
  SelectObject(src, oldSrc);
  SelectObject(dst, oldDst);
  DeleteDC(src);
  DeleteDC(dst);
  return result;
}

// --- Regions and the cursor ------------------------------------------------------------------

HRGN cxCreateRegionFromBitmap(TBitmap* ABitmap, TColor ATransparentColor) {
  TRGBColors colors;
  if (!ABitmap || !dxCoreGraphics::GetBitmapBits(ABitmap, colors, true)) return nullptr;
  return cxCreateRegionFromBitmap(colors, ABitmap->Width(), ABitmap->Height(), ATransparentColor);
}

HRGN cxCreateRegionFromBitmap(const TRGBColors& AColors, int32_t AWidth, int32_t AHeight,
                              TColor ATransparentColor) {
  if (AWidth <= 0 || AHeight <= 0 || AColors.size() < static_cast<size_t>(AWidth) * AHeight) return nullptr;
  const COLORREF t = ColorToRGB(ATransparentColor);
  auto opaque = [&](const RGBQUAD& q) {
    return q.rgbRed != GetRValue(t) || q.rgbGreen != GetGValue(t) || q.rgbBlue != GetBValue(t);
  };
  // One list of runs, turned into a region at once.
  std::vector<RECT> runs;
  TRect bounds{AWidth, AHeight, 0, 0};
  for (int32_t y = 0; y < AHeight; ++y) {
    const RGBQUAD* row = AColors.data() + static_cast<size_t>(y) * AWidth;
    int32_t x = 0;
    while (x < AWidth) {
      while (x < AWidth && !opaque(row[x])) ++x;
      if (x >= AWidth) break;
      const int32_t start = x;
      while (x < AWidth && opaque(row[x])) ++x;
      runs.push_back(TRect{start, y, x, y + 1});
      bounds.Left = std::min(bounds.Left, start);
      bounds.Right = std::max(bounds.Right, x);
      bounds.Top = std::min(bounds.Top, y);
      bounds.Bottom = y + 1;
    }
  }
  if (runs.empty()) return nullptr;
  std::vector<uint8_t> buffer(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
  RGNDATAHEADER header;
  header.nCount = static_cast<DWORD>(runs.size());
  header.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
  header.rcBound = bounds;
  std::memcpy(buffer.data(), &header, sizeof(header));
  std::memcpy(buffer.data() + sizeof(header), runs.data(), runs.size() * sizeof(RECT));
  return ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()),
                         reinterpret_cast<const RGNDATA*>(buffer.data()));
}

TSize cxGetCursorSize() {
  TSize result{GetSystemMetrics(SM_CXCURSOR), GetSystemMetrics(SM_CYCURSOR)};
  ICONINFO info;
  if (!GetIconInfo(GetCursor(), &info)) return result;
  BITMAP mask;
  if (info.hbmMask && dxGetBitmapData(info.hbmMask, mask) && mask.bmBitsPixel == 1 && mask.bmWidth > 0 &&
      mask.bmHeight > 0 && mask.bmWidthBytes > 0) {
    result.cx = mask.bmWidth;
    const int64_t rowLength = mask.bmWidthBytes;
    std::vector<uint8_t> bits(static_cast<size_t>(rowLength * mask.bmHeight));
    const LONG got = GetBitmapBits(info.hbmMask, static_cast<LONG>(bits.size()), bits.data());
    if (got > 0) {
      bits.resize(static_cast<size_t>(got));
      const int64_t rows = static_cast<int64_t>(bits.size()) / rowLength;
      // The AND image: the last W rows, as many as the mask has.
      const int64_t andRows = std::min<int64_t>(mask.bmWidth, rows);
      const int64_t andStart = (rows - andRows) * rowLength;
      auto scan = [&](int64_t from, int64_t to, uint8_t skip) -> int64_t {
        for (int64_t i = from; i < to - 1; ++i)
          if (bits[static_cast<size_t>(i)] != skip)
            return (static_cast<int64_t>(bits.size()) - i - 1) / rowLength;
        return -1;
      };
      int64_t height = scan(andStart, static_cast<int64_t>(bits.size()), 0xFF);
      if (height < 0 && mask.bmHeight >= 2 * mask.bmWidth) {
        const int64_t xorStart = std::max<int64_t>(andStart - andRows * rowLength, 0);
        height = scan(xorStart, andStart, 0);
      }
      result.cy = static_cast<int32_t>(std::max<int64_t>(height, 0)) - static_cast<int32_t>(info.yHotspot);
    }
  }
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return result;
}

}  // namespace qd
