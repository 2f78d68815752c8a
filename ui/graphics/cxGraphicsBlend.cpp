#include "ui/graphics/cxGraphicsBlend.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <numbers>
#include <numeric>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/base/mathutil.h"
#include "platform/base/scopeexit.h"
#include "platform/os/user.h"
#include "ui/core/dxCore.h"
#include "ui/core/dxThreading.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/graphics/dxGDIPlusAPI.h"
#include "ui/graphics/dxGDIPlusCanvas.h"

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

// One axis of the Lanczos3 filter. Destination index i reads the unmirrored source positions
// First[i] .. First[i] + Count[i] - 1 with integer weights out of 256 that sum to exactly 256,
// so that a flat colour stays flat. Each run is stored with an even count (a trailing zero
// weight when needed) so that the vector loops take the taps in pairs.
struct cxBlendLanczos3Axis {
  int32_t SourceLength = 0;
  int32_t Low = 0;    // the lowest position any run reads
  int32_t High = -1;  // the highest
  std::vector<int32_t> First, Count, Offset;
  std::vector<int16_t> Weights;

  // Mirrored at the edges, then clamped: a kernel wider than a small source mirrors past its
  // far end, and no read may leave the source.
  int32_t SourceIndex(int32_t j) const {
    if (j < 0)
      j = -j;
    else if (j >= SourceLength)
      j = 2 * SourceLength - 1 - j;
    return std::clamp(j, 0, SourceLength - 1);
  }
  uint32_t WeightPair(size_t AIndex) const {
    return static_cast<uint16_t>(Weights[AIndex]) |
           (static_cast<uint32_t>(static_cast<uint16_t>(Weights[AIndex + 1])) << 16);
  }
};

cxBlendLanczos3Axis cxBlendLanczos3MakeAxis(int32_t ASourceLength, int32_t ADestLength) {
  cxBlendLanczos3Axis result;
  result.SourceLength = ASourceLength;
  if (ASourceLength <= 0 || ADestLength <= 0) return result;
  const float f = (ASourceLength == 1 || ADestLength == 1)
                      ? static_cast<float>(ADestLength) / static_cast<float>(ASourceLength)
                      : static_cast<float>(ADestLength - 1) / static_cast<float>(ASourceLength - 1);
  const float w = f >= 1 ? 1.0f : 1.0f / f;
  const float r = 3 * w;
  result.First.resize(static_cast<size_t>(ADestLength));
  result.Count.resize(static_cast<size_t>(ADestLength));
  result.Offset.resize(static_cast<size_t>(ADestLength));
  result.Low = INT32_MAX;
  result.High = INT32_MIN;
  std::vector<float> exact;
  std::vector<int32_t> rounded;
  std::vector<size_t> order;
  for (int32_t i = 0; i < ADestLength; ++i) {
    const float c = static_cast<float>(i) / f;
    const auto first = static_cast<int32_t>(std::floor(c - r));
    const auto last = static_cast<int32_t>(std::ceil(c + r));
    const auto n = static_cast<size_t>(last - first + 1);
    exact.assign(n, 0);
    rounded.assign(n, 0);
    int32_t sum = 0;
    for (size_t k = 0; k < n; ++k) {
      exact[k] = cxBlendLanczos3((c - static_cast<float>(first + static_cast<int32_t>(k))) / w) / w;
      rounded[k] = static_cast<int32_t>(Round(exact[k] * 256));
      sum += rounded[k];
    }
    // Weights rounded one by one do not sum to 256, and a flat colour would drift. The
    // remainder is handed out one unit at a time to the weights that rounding moved furthest
    // the other way, so that every weight stays within one unit of its exact value (on the
    // largest weight alone it would turn that weight negative in strong reductions).
    if (const int32_t remainder = 256 - sum; remainder != 0) {
      const int32_t step = remainder > 0 ? 1 : -1;
      const auto units = static_cast<size_t>(std::abs(remainder));
      auto lost = [&](size_t k) { return step * (static_cast<double>(exact[k]) * 256 - rounded[k]); };
      order.resize(n);
      std::iota(order.begin(), order.end(), size_t{0});
      std::partial_sort(
          order.begin(), order.begin() + static_cast<ptrdiff_t>(std::min(units, n)), order.end(),
          [&](size_t a, size_t b) { return lost(a) > lost(b) || (lost(a) == lost(b) && a < b); });
      for (size_t t = 0; t < units; ++t) rounded[order[t % n]] += step;
    }
    size_t lo = 0, hi = n - 1;
    while (rounded[lo] == 0) ++lo;
    while (rounded[hi] == 0) --hi;
    const size_t count = hi - lo + 1, padded = count + (count & 1);
    result.First[static_cast<size_t>(i)] = first + static_cast<int32_t>(lo);
    result.Count[static_cast<size_t>(i)] = static_cast<int32_t>(padded);
    result.Offset[static_cast<size_t>(i)] = static_cast<int32_t>(result.Weights.size());
    for (size_t k = lo; k <= hi; ++k) result.Weights.push_back(static_cast<int16_t>(rounded[k]));
    if (padded != count) result.Weights.push_back(0);
    result.Low = std::min(result.Low, first + static_cast<int32_t>(lo));
    result.High = std::max(result.High, first + static_cast<int32_t>(lo + padded) - 1);
  }
  return result;
}

uint8_t cxBlendFilteredChannel(int32_t ASum) {
  return static_cast<uint8_t>(std::clamp(ASum >> 8, 0, 255));
}

// Horizontal pass of one row of quads. APadded has room for the positions Low .. High of the
// axis (plus nothing else: the runs' even counts are part of that range).
void cxBlendLanczos3FilterRow(const cxBlendLanczos3Axis& AAxis, const uint8_t* ASource, uint8_t* APadded,
                              uint8_t* ADest, int32_t ADestLength) {
  for (int32_t j = AAxis.Low; j < 0; ++j)
    std::memcpy(APadded + 4 * static_cast<size_t>(j - AAxis.Low),
                ASource + 4 * static_cast<size_t>(AAxis.SourceIndex(j)), 4);
  const int32_t from = std::max(AAxis.Low, 0), to = std::min(AAxis.High, AAxis.SourceLength - 1);
  if (to >= from)
    std::memcpy(APadded + 4 * static_cast<size_t>(from - AAxis.Low), ASource + 4 * static_cast<size_t>(from),
                4 * static_cast<size_t>(to - from + 1));
  for (int32_t j = std::max(AAxis.Low, AAxis.SourceLength); j <= AAxis.High; ++j)
    std::memcpy(APadded + 4 * static_cast<size_t>(j - AAxis.Low),
                ASource + 4 * static_cast<size_t>(AAxis.SourceIndex(j)), 4);
  for (int32_t x = 0; x < ADestLength; ++x) {
    const uint8_t* p = APadded + 4 * static_cast<size_t>(AAxis.First[static_cast<size_t>(x)] - AAxis.Low);
    const auto offset = static_cast<size_t>(AAxis.Offset[static_cast<size_t>(x)]);
    const int32_t count = AAxis.Count[static_cast<size_t>(x)];
    uint8_t* d = ADest + 4 * static_cast<size_t>(x);
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    __m128i acc = zero;
    for (int32_t k = 0; k < count; k += 2, p += 8) {
      int32_t p0, p1;
      std::memcpy(&p0, p, 4);
      std::memcpy(&p1, p + 4, 4);
      // The channels of the two taps side by side as 16-bit values: b0 b1 g0 g1 r0 r1 a0 a1.
      const __m128i v =
          _mm_unpacklo_epi8(_mm_unpacklo_epi8(_mm_cvtsi32_si128(p0), _mm_cvtsi32_si128(p1)), zero);
      const __m128i wv =
          _mm_set1_epi32(static_cast<int32_t>(AAxis.WeightPair(offset + static_cast<size_t>(k))));
      acc = _mm_add_epi32(acc, _mm_madd_epi16(v, wv));
    }
    const __m128i s = _mm_srai_epi32(acc, 8);
    const int32_t out = _mm_cvtsi128_si32(_mm_packus_epi16(_mm_packs_epi32(s, s), zero));
    std::memcpy(d, &out, 4);
#else
    int32_t sum[4] = {};
    for (int32_t k = 0; k < count; ++k) {
      const int32_t weight = AAxis.Weights[offset + static_cast<size_t>(k)];
      for (int32_t ch = 0; ch < 4; ++ch) sum[ch] += weight * p[4 * k + ch];
    }
    for (int32_t ch = 0; ch < 4; ++ch) d[ch] = cxBlendFilteredChannel(sum[ch]);
#endif
  }
}

// Vertical pass of one destination row: ARows are the rows of the taps (an even count).
void cxBlendLanczos3FilterColumns(const uint8_t* const* ARows, const cxBlendLanczos3Axis& AAxis,
                                  size_t AOffset, int32_t ACount, uint8_t* ADest, size_t ABytes) {
  size_t x = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  for (; x + 16 <= ABytes; x += 16) {
    __m128i acc0 = zero, acc1 = zero, acc2 = zero, acc3 = zero;
    for (int32_t k = 0; k < ACount; k += 2) {
      const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(ARows[k] + x));
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(ARows[k + 1] + x));
      const __m128i wv =
          _mm_set1_epi32(static_cast<int32_t>(AAxis.WeightPair(AOffset + static_cast<size_t>(k))));
      const __m128i lo = _mm_unpacklo_epi8(a, b), hi = _mm_unpackhi_epi8(a, b);
      acc0 = _mm_add_epi32(acc0, _mm_madd_epi16(_mm_unpacklo_epi8(lo, zero), wv));
      acc1 = _mm_add_epi32(acc1, _mm_madd_epi16(_mm_unpackhi_epi8(lo, zero), wv));
      acc2 = _mm_add_epi32(acc2, _mm_madd_epi16(_mm_unpacklo_epi8(hi, zero), wv));
      acc3 = _mm_add_epi32(acc3, _mm_madd_epi16(_mm_unpackhi_epi8(hi, zero), wv));
    }
    const __m128i s0 = _mm_packs_epi32(_mm_srai_epi32(acc0, 8), _mm_srai_epi32(acc1, 8));
    const __m128i s1 = _mm_packs_epi32(_mm_srai_epi32(acc2, 8), _mm_srai_epi32(acc3, 8));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(ADest + x), _mm_packus_epi16(s0, s1));
  }
#endif
  for (; x < ABytes; ++x) {
    int32_t sum = 0;
    for (int32_t k = 0; k < ACount; ++k) sum += AAxis.Weights[AOffset + static_cast<size_t>(k)] * ARows[k][x];
    ADest[x] = cxBlendFilteredChannel(sum);
  }
}

struct cxBlendRowsJob {
  const std::function<void(int32_t, int32_t)>* Proc;
  int32_t First;
  int32_t Last;
};

// Runs AProc over the rows 0 .. ACount - 1: in chunks on the thread pool when multi-threading
// can be used and the work is worth it, else at once. Chunks never share a row.
void cxBlendForRows(int32_t ACount, int64_t AWorkPerRow, const std::function<void(int32_t, int32_t)>& AProc) {
  if (ACount <= 0) return;
  int32_t chunks = 1;
  if (ACount > 1 && dxCanUseMultiThreading() && ACount * AWorkPerRow >= (int64_t{1} << 16)) {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const auto processors = static_cast<int32_t>(std::max<DWORD>(info.dwNumberOfProcessors, 1));
    chunks = std::min({TdxThreadPoolHelper::MaxWorkItems, 4 * processors, ACount});
  }
  if (chunks <= 1) {
    AProc(0, ACount - 1);
    return;
  }
  std::vector<cxBlendRowsJob> jobs(static_cast<size_t>(chunks));
  for (int32_t i = 0; i < chunks; ++i)
    jobs[static_cast<size_t>(i)] = {&AProc, static_cast<int32_t>(int64_t{ACount} * i / chunks),
                                    static_cast<int32_t>(int64_t{ACount} * (i + 1) / chunks) - 1};
  TdxThreadPoolHelper helper;
  helper.Initialize(chunks, true);
  for (auto& job : jobs)
    helper.QueueWorkItem(&job, [](void* AContext) {
      const auto* j = static_cast<const cxBlendRowsJob*>(AContext);
      (*j->Proc)(j->First, j->Last);
    });
  helper.WaitForThreads(true);
}

// The 64-bit path: a GDI+ paint canvas on the destination draws the source part with the
// constant alpha, nearest-neighbour or high-quality bicubic by the smoothing flag, with half
// pixel offsets. False when GDI+ is not available.
bool cxBlendGdiPlusAlphaBlend(HDC ADestDC, TBitmap* ASource, const TRect& ADestRect, const TRect& ASrcRect,
                              bool ASmoothImage, uint8_t AConstantAlpha) {
  if (!CheckGdiPlus(false)) return false;
  TRGBColors colors;
  if (!dxCoreGraphics::GetBitmapBits(ASource, colors, true)) return false;
  // The source part, top-down and premultiplied; a source without an alpha channel is opaque.
  const TRect part = RectIntersection(ASrcRect, TRect{0, 0, ASource->Width(), ASource->Height()});
  if (part.IsEmpty()) return true;
  const bool opaque = ASource->PixelFormat() != pf32bit;
  std::vector<RGBQUAD> bits(static_cast<size_t>(part.Width()) * static_cast<size_t>(part.Height()));
  for (int32_t y = 0; y < part.Height(); ++y)
    for (int32_t x = 0; x < part.Width(); ++x) {
      RGBQUAD q = colors[static_cast<size_t>(part.Top + y) * static_cast<size_t>(ASource->Width()) +
                         static_cast<size_t>(part.Left + x)];
      if (opaque) q.rgbReserved = 255;
      bits[static_cast<size_t>(y) * static_cast<size_t>(part.Width()) + static_cast<size_t>(x)] = q;
    }
  GpBitmap* image = nullptr;
  GdipCheck(GdipCreateBitmapFromScan0(part.Width(), part.Height(), 4 * part.Width(),
                                      gdiplus::PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(bits.data()),
                                      &image));
  TdxGPCustomPaintCanvas* canvas = nullptr;
  const ScopeExit done{[&] {
    dxGpEndPaint(canvas);
    GdipDisposeImage(image);
  }};
  canvas = dxGpBeginPaint(ADestDC, ADestRect);
  canvas->SetInterpolationMode(dxGpSmoothStretchModeMap[ASmoothImage ? 1 : 0]);
  canvas->SetPixelOffsetMode(gdiplus::PixelOffsetModeHalf);
  // Where the source rectangle reaches outside the bitmap, only its inside part is drawn.
  const double sx = static_cast<double>(ADestRect.Width()) / ASrcRect.Width();
  const double sy = static_cast<double>(ADestRect.Height()) / ASrcRect.Height();
  const TdxRectF dest(static_cast<float>(ADestRect.Left + (part.Left - ASrcRect.Left) * sx),
                      static_cast<float>(ADestRect.Top + (part.Top - ASrcRect.Top) * sy),
                      static_cast<float>(ADestRect.Left + (part.Right - ASrcRect.Left) * sx),
                      static_cast<float>(ADestRect.Top + (part.Bottom - ASrcRect.Top) * sy));
  dxGpDrawImage(canvas->Handle(), dest,
                TdxRectF(0, 0, static_cast<float>(part.Width()), static_cast<float>(part.Height())), image,
                AConstantAlpha);
  return true;
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
  if (IsWin64Bit() &&
      cxBlendGdiPlusAlphaBlend(ADestDC, source, ADestRect, sourceRect, ASmoothImage, AConstantAlpha))
    return;
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
  const auto axis = cxBlendLanczos3MakeAxis(ASourceLength, ADestLength);
  for (size_t i = 0; i < axis.First.size(); ++i)
    for (int32_t k = 0; k < axis.Count[i]; ++k)
      if (const int16_t weight = axis.Weights[static_cast<size_t>(axis.Offset[i] + k)])
        result[i].push_back({axis.SourceIndex(axis.First[i] + k), weight});
  return result;
}

void cxLanczos3Resize(const RGBQUAD* ASource, int32_t ASourceWidth, int32_t ASourceHeight, RGBQUAD* ADest,
                      int32_t ADestWidth, int32_t ADestHeight) {
  if (ASourceWidth <= 0 || ASourceHeight <= 0 || ADestWidth <= 0 || ADestHeight <= 0) return;
  const auto horizontal = cxBlendLanczos3MakeAxis(ASourceWidth, ADestWidth);
  const auto vertical = cxBlendLanczos3MakeAxis(ASourceHeight, ADestHeight);
  const size_t destStride = 4 * static_cast<size_t>(ADestWidth);
  const auto* source = reinterpret_cast<const uint8_t*>(ASource);
  auto* dest = reinterpret_cast<uint8_t*>(ADest);
  // Every byte of the intermediate rows is written by the horizontal pass.
  const auto temp =
      std::make_unique_for_overwrite<uint8_t[]>(destStride * static_cast<size_t>(ASourceHeight));
  const std::function<void(int32_t, int32_t)> filterRows = [&](int32_t AFirst, int32_t ALast) {
    const auto padded = std::make_unique_for_overwrite<uint8_t[]>(
        4 * static_cast<size_t>(horizontal.High - horizontal.Low + 1));
    for (int32_t y = AFirst; y <= ALast; ++y)
      cxBlendLanczos3FilterRow(horizontal,
                               source + 4 * static_cast<size_t>(ASourceWidth) * static_cast<size_t>(y),
                               padded.get(), temp.get() + destStride * static_cast<size_t>(y), ADestWidth);
  };
  cxBlendForRows(ASourceHeight, static_cast<int64_t>(horizontal.Weights.size()), filterRows);
  const std::function<void(int32_t, int32_t)> filterColumns = [&](int32_t AFirst, int32_t ALast) {
    std::vector<const uint8_t*> rows;
    for (int32_t y = AFirst; y <= ALast; ++y) {
      const auto i = static_cast<size_t>(y);
      rows.resize(static_cast<size_t>(vertical.Count[i]));
      for (int32_t k = 0; k < vertical.Count[i]; ++k)
        rows[static_cast<size_t>(k)] =
            temp.get() + destStride * static_cast<size_t>(vertical.SourceIndex(vertical.First[i] + k));
      cxBlendLanczos3FilterColumns(rows.data(), vertical, static_cast<size_t>(vertical.Offset[i]),
                                   vertical.Count[i], dest + destStride * i, destStride);
    }
  };
  cxBlendForRows(ADestHeight, int64_t{ADestWidth} * vertical.Count[0], filterColumns);
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
