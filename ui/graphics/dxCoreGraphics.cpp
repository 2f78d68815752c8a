#include "ui/graphics/dxCoreGraphics.h"

#include <algorithm>
#include <cstring>

#include "platform/base/mathutil.h"
#include "platform/classes/streams.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxCustomColorPalette)
QD_IMPLEMENT_CLASS(TdxSimpleColorPalette)

TdxCustomColorPalette::TdxCustomColorPalette() {
  CreateGUID(FID);
}

TGUID dxGetColorPaletteID(IdxColorPalette* APalette) {
  return APalette ? APalette->GetID() : TGUID{};
}

int32_t cxGetBitmapPixelFormat(TBitmap* ABitmap) {
  // A device-dependent or custom bitmap has the depth of the device.
  const TPixelFormat format = ABitmap->PixelFormat();
  if (format == pfDevice || format == pfCustom) return GetDeviceCaps(ABitmap->Canvas()->Handle(), BITSPIXEL);
  return ABitmap->BitCount();
}

void dxFillBitmapInfoHeader(BITMAPINFOHEADER& AHeader, int32_t AWidth, int32_t AHeight, bool ATopDownDIB) {
  AHeader = BITMAPINFOHEADER{};
  AHeader.biSize = sizeof(BITMAPINFOHEADER);
  AHeader.biWidth = AWidth;
  AHeader.biHeight = ATopDownDIB ? -AHeight : AHeight;
  AHeader.biPlanes = 1;
  AHeader.biBitCount = 32;
  AHeader.biCompression = BI_RGB;
}

void dxFillBitmapInfoHeader(BITMAPINFOHEADER& AHeader, TBitmap* ABitmap, bool ATopDownDIB) {
  dxFillBitmapInfoHeader(AHeader, ABitmap->Width(), ABitmap->Height(), ATopDownDIB);
}

namespace {

// A memory device context compatible with the screen, deleted with the object.
struct TcxPixelsMemoryDC {
  HDC DC = CreateCompatibleDC(nullptr);
  TcxPixelsMemoryDC() = default;
  TcxPixelsMemoryDC(const TcxPixelsMemoryDC&) = delete;
  TcxPixelsMemoryDC& operator=(const TcxPixelsMemoryDC&) = delete;
  ~TcxPixelsMemoryDC() {
    if (DC) DeleteDC(DC);
  }
};

}  // namespace

namespace dxCoreGraphics {

bool GetBitmapBits(TBitmap* ABitmap, TRGBColors& AColors, bool ATopDownDIB) {
  const int32_t w = ABitmap->Width(), h = ABitmap->Height();
  if (w <= 0 || h <= 0) return false;
  AColors.assign(static_cast<size_t>(w) * static_cast<size_t>(h), RGBQUAD{});
  TcxPixelsMemoryDC dc;
  BITMAPINFO info{};
  dxFillBitmapInfoHeader(info.bmiHeader, w, h, ATopDownDIB);
  HBITMAP handle = ABitmap->Handle();
  if (GetDIBits(dc.DC, handle, 0, static_cast<UINT>(h), AColors.data(), &info, DIB_RGB_COLORS) != 0)
    return true;
  bool result = true;
  std::vector<RGBQUAD> row;
  for (int32_t i = 0; i < h; ++i) {
    RGBQUAD* target = AColors.data() + static_cast<size_t>(i) * static_cast<size_t>(w);
    // Start scans count from the bottom row.
    const UINT scan = static_cast<UINT>(ATopDownDIB ? h - 1 - i : i);
    dxFillBitmapInfoHeader(info.bmiHeader, w, h, ATopDownDIB);
    if (GetDIBits(dc.DC, handle, scan, 1, target, &info, DIB_RGB_COLORS) != 0) continue;
    row.assign(static_cast<size_t>(w), RGBQUAD{});
    dxFillBitmapInfoHeader(info.bmiHeader, w, h, ATopDownDIB);
    if (GetDIBits(dc.DC, handle, scan, 1, row.data(), &info, DIB_RGB_COLORS) != 0)
      std::memcpy(target, row.data(), row.size() * sizeof(RGBQUAD));
    else
      result = false;
  }
  return result;
}

bool SetBitmapBits(TBitmap* ABitmap, const TRGBColors& AColors, bool ATopDownDIB) {
  const int32_t w = ABitmap->Width(), h = ABitmap->Height();
  if (w <= 0 || h <= 0) return false;
  // SetDIBits reads Width x Height pixels: a shorter array would be read past its end.
  if (AColors.size() < static_cast<size_t>(w) * static_cast<size_t>(h)) return false;
  TcxPixelsMemoryDC dc;
  BITMAPINFO info{};
  dxFillBitmapInfoHeader(info.bmiHeader, w, h, ATopDownDIB);
  return SetDIBits(dc.DC, ABitmap->Handle(), 0, static_cast<UINT>(h), AColors.data(), &info,
                   DIB_RGB_COLORS) != 0;
}

}  // namespace dxCoreGraphics

TdxAlphaState dxGetAlphaState(const TRGBColors& AColors) {
  bool zero = false, opaque = false, other = false;
  for (const RGBQUAD& c : AColors) {
    if (c.rgbReserved == 0)
      zero = true;
    else if (c.rgbReserved == 255)
      opaque = true;
    else
      other = true;
    if (other || (zero && opaque)) break;
  }
  if (other || (zero && opaque)) return asSemitransparent;
  return opaque ? asOpaque : asNoAlpha;
}

TdxAlphaState dxGetAlphaState(TBitmap* ABitmap) {
  if (cxGetBitmapPixelFormat(ABitmap) < 32) return asNoAlpha;
  TRGBColors colors;
  if (!dxCoreGraphics::GetBitmapBits(ABitmap, colors, false)) return asNoAlpha;
  return dxGetAlphaState(colors);
}

bool dxIsAlphaUsed(TBitmap* ABitmap) {
  return dxGetAlphaState(ABitmap) != asNoAlpha;
}

void dxChangeColor(RGBQUAD* ABits, int32_t ACount, TColor AColor) {
  const COLORREF rgb = ColorToRGB(AColor);
  const int32_t r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
  for (int32_t i = 0; i < ACount; ++i) {
    RGBQUAD& p = ABits[i];
    p.rgbBlue = static_cast<BYTE>(MulDiv(b, p.rgbReserved, 255));
    p.rgbGreen = static_cast<BYTE>(MulDiv(g, p.rgbReserved, 255));
    p.rgbRed = static_cast<BYTE>(MulDiv(r, p.rgbReserved, 255));
  }
}

bool dxGetBitmapData(HBITMAP ABitmap, BITMAP& ABitmapData) {
  return GetObject(ABitmap, sizeof(BITMAP), &ABitmapData) != 0;
}

bool dxGraphicIsEquals(TGraphic* AGraphic1, TGraphic* AGraphic2) {
  if (!AGraphic1 || !AGraphic2) return false;
  if (AGraphic1->ClassType() != AGraphic2->ClassType()) return false;
  if (AGraphic1->Width() != AGraphic2->Width() || AGraphic1->Height() != AGraphic2->Height()) return false;
  TMemoryStream s1, s2;
  AGraphic1->SaveToStream(&s1);
  AGraphic2->SaveToStream(&s2);
  return s1.Size() == s2.Size() &&
         (s1.Size() == 0 || std::memcmp(s1.Memory(), s2.Memory(), static_cast<size_t>(s1.Size())) == 0);
}

// --- TdxGdiClippingHelper -------------------------------------------------------------------

void TdxGdiClippingHelper::SaveClipping(HDC DC, HRGN& ARegion) {
  ARegion = CreateRectRgn(0, 0, 0, 0);
  if (GetClipRgn(DC, ARegion) != 1) {
    DeleteObject(ARegion);
    ARegion = nullptr;
  }
}

void TdxGdiClippingHelper::RestoreClipping(HDC DC, HRGN ARegion) {
  SelectClipRgn(DC, ARegion);
  if (ARegion) DeleteObject(ARegion);
}

// --- TdxRTLReadingCharacterPlacementHelper -------------------------------------------------------

std::vector<TRect> TdxRTLReadingCharacterPlacementHelper::MeasureCharactersBounds(
    HDC DC, const Char* AText, int32_t ACount, const TRect& ARect, HFONT AFont, bool ARightToLeft) {
  std::vector<TRect> result;
  if (ACount <= 0 || !AText) return result;
  static constexpr DWORD GCPFlags[2] = {GCP_USEKERNING | GCP_LIGATE,
                                        GCP_USEKERNING | GCP_LIGATE | GCP_REORDER};
  HGDIOBJ oldFont = AFont ? SelectObject(DC, AFont) : nullptr;
  std::vector<int> dx;
  std::vector<UINT> order;
  size_t size = static_cast<size_t>(ACount);
  bool measured = false;
  for (int attempt = 0; attempt < 3 && !measured; ++attempt) {
    if (attempt > 0) size += static_cast<size_t>(std::max(1, ACount / 2));
    dx.assign(size, 0);
    if (ARightToLeft) order.assign(size, 0);
    GCP_RESULTSW results{};
    results.lStructSize = sizeof(GCP_RESULTSW);
    results.nGlyphs = static_cast<UINT>(size);
    results.lpDx = dx.data();
    results.lpOrder = ARightToLeft ? order.data() : nullptr;
    measured = GetCharacterPlacementW(DC, AText, ACount, 0, &results, GCPFlags[ARightToLeft]) != 0;
  }
  if (AFont) SelectObject(DC, oldFont);
  if (!measured) return result;

  std::vector<TRect> visual(static_cast<size_t>(ACount));
  int32_t x = ARect.Left;
  for (int32_t i = 0; i < ACount; ++i) {
    visual[static_cast<size_t>(i)] = {x, ARect.Top, x + dx[static_cast<size_t>(i)], ARect.Bottom};
    x += dx[static_cast<size_t>(i)];
  }
  if (!ARightToLeft) return visual;
  result.resize(static_cast<size_t>(ACount));
  for (int32_t j = 0; j < ACount; ++j) {
    // An order entry out of range would index past the rectangles.
    const UINT k = std::min<UINT>(order[static_cast<size_t>(j)], static_cast<UINT>(ACount - 1));
    result[static_cast<size_t>(j)] = visual[k];
  }
  return result;
}

HRGN TdxRTLReadingCharacterPlacementHelper::GetSelectionRangeRegion(HDC DC, const Char* AText, int32_t ACount,
                                                                    const TRect& ARect, int32_t ASelStart,
                                                                    int32_t ASelLength, HFONT AFont,
                                                                    bool ARightToLeft) {
  if (ASelLength <= 0 || ACount < ASelStart) return nullptr;
  const std::vector<TRect> bounds = MeasureCharactersBounds(DC, AText, ACount, ARect, AFont, ARightToLeft);
  if (bounds.empty()) return nullptr;
  // A negative start counts from the first character.
  const int64_t first = std::max<int64_t>(ASelStart, 0);
  const int64_t last = std::min<int64_t>(ACount, static_cast<int64_t>(ASelStart) + ASelLength);
  HRGN region = nullptr;
  for (int64_t i = first; i < last; ++i) {
    const TRect& r = bounds[static_cast<size_t>(i)];
    if (r.Left >= r.Right) continue;
    if (!region) {
      region = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
    } else {
      HRGN part = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
      CombineRgn(region, region, part, RGN_OR);
      DeleteObject(part);
    }
  }
  return region;
}

}  // namespace qd
