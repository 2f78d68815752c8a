#include "ui/graphics/cxGraphicsBitmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/os/gdi.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxTypeHelpers.h"
#include "ui/graphics/cxGraphicsBlend.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxBitmap)
QD_IMPLEMENT_CLASS(TcxBitmap32)

namespace {

constexpr char cxBitmapSignature[4] = {'X', 'D', 'B', 'M'};
constexpr int32_t cxBitmapMaxRun = 125;
constexpr int64_t cxBitmapHeaderSize = 10;

int32_t cxBitmapBlockSizeOf(TBitmap* ABitmap) {
  return std::max(cxGetBitmapPixelFormat(ABitmap) / 8, 1);
}

// Appends packets into ADest until the source's end or ALimit (absolute), or the decoded
// size cap; a packet cut short by the end of the data ends decoding.
void cxBitmapDecodePackets(TStream* ASource, int64_t ALimit, int32_t ABlockSize, TStream* ADest) {
  std::vector<uint8_t> block(static_cast<size_t>(ABlockSize) * 127);
  while (ASource->Position() < ALimit) {
    uint8_t code;
    if (ASource->Read(&code, 1) != 1) return;
    const int32_t n = code & 0x7F;
    if (n == 0) continue;
    const int64_t available = ALimit - ASource->Position();
    const int64_t produced = int64_t{n} * ABlockSize;
    if (ADest->Size() + produced > cxCompressedBitmapMaxDecodedSize) return;
    if (code & 0x80) {
      if (available < produced) return;
      if (ASource->Read(block.data(), produced) != produced) return;
      ADest->WriteBuffer(block.data(), produced);
    } else {
      if (available < ABlockSize) return;
      if (ASource->Read(block.data(), ABlockSize) != ABlockSize) return;
      for (int32_t i = 1; i < n; ++i)
        std::memcpy(block.data() + static_cast<size_t>(i) * ABlockSize, block.data(),
                    static_cast<size_t>(ABlockSize));
      ADest->WriteBuffer(block.data(), produced);
    }
  }
}

}  // namespace

// --- The compressed bitmap block -------------------------------------------------------------

void cxWriteCompressedBitmapBlock(TStream* ARaw, TStream* ADest, int32_t ABlockSize) {
  ABlockSize = std::clamp(ABlockSize, 1, 255);
  const int64_t rawStart = ARaw->Position();
  const int64_t rawSize = std::max<int64_t>(ARaw->Size() - rawStart, 0);
  std::vector<uint8_t> raw(static_cast<size_t>(rawSize));
  if (rawSize > 0) ARaw->ReadBuffer(raw.data(), rawSize);

  const int64_t p = ADest->Position();
  const uint8_t placeholder[cxBitmapHeaderSize] = {};
  ADest->WriteBuffer(placeholder, cxBitmapHeaderSize);
  const auto shift = static_cast<uint8_t>(rawSize % ABlockSize);
  const auto blockSize = static_cast<uint8_t>(ABlockSize);
  ADest->WriteBuffer(&blockSize, 1);
  ADest->WriteBuffer(&shift, 1);
  if (shift) ADest->WriteBuffer(raw.data(), shift);

  const uint8_t* blocks = raw.data() + shift;
  const int64_t count = (rawSize - shift) / ABlockSize;
  auto same = [&](int64_t a, int64_t b) {
    return std::memcmp(blocks + a * ABlockSize, blocks + b * ABlockSize, static_cast<size_t>(ABlockSize)) ==
           0;
  };
  int64_t i = 0;
  while (i < count) {
    int32_t n = 1;
    bool repeat = false;
    if (i + 1 < count) {
      repeat = same(i, i + 1);
      if (repeat) {
        while (i + n < count && n < cxBitmapMaxRun && same(i + n, i)) ++n;
      } else {
        while (i + n < count && n < cxBitmapMaxRun) {
          if (same(i + n, i + n - 1)) {
            --n;
            break;
          }
          ++n;
        }
      }
    }
    if (repeat) {
      const auto code = static_cast<uint8_t>(n);
      ADest->WriteBuffer(&code, 1);
      ADest->WriteBuffer(blocks + i * ABlockSize, ABlockSize);
    } else {
      const auto code = static_cast<uint8_t>(n | 0x80);
      ADest->WriteBuffer(&code, 1);
      ADest->WriteBuffer(blocks + i * ABlockSize, int64_t{n} * ABlockSize);
    }
    i += n;
  }

  const int64_t end = ADest->Position();
  // Counted from the block's own start, so a block that does not start at 0 is read back
  // without running into what follows it.
  const auto size = static_cast<int32_t>(end - p - cxBitmapHeaderSize);
  const uint16_t version = 2;
  ADest->SetPosition(p);
  ADest->WriteBuffer(&size, 4);
  ADest->WriteBuffer(cxBitmapSignature, 4);
  ADest->WriteBuffer(&version, 2);
  ADest->SetPosition(end);
}

bool cxReadCompressedBitmapBlock(TStream* ASource, TStream* ADest) {
  const int64_t p = ASource->Position();
  uint8_t header[cxBitmapHeaderSize] = {};
  ASource->Read(header, cxBitmapHeaderSize);
  if (std::memcmp(header + 4, cxBitmapSignature, 4) != 0) {
    ASource->SetPosition(p);
    return false;
  }
  int32_t size;
  uint16_t version;
  std::memcpy(&size, header, 4);
  std::memcpy(&version, header + 8, 2);
  const int64_t streamEnd = ASource->Size();
  const int64_t limit = std::clamp<int64_t>(p + cxBitmapHeaderSize + std::max(size, 0), p, streamEnd);
  if (version == 1) {
    cxBitmapDecodePackets(ASource, limit, 1, ADest);
  } else if (version == 2 && ASource->Position() + 2 <= limit) {
    uint8_t blockSize = 0, shift = 0;
    ASource->ReadBuffer(&blockSize, 1);
    ASource->ReadBuffer(&shift, 1);
    const int64_t copy = std::min<int64_t>(shift, limit - ASource->Position());
    if (copy > 0) ADest->CopyFrom(ASource, copy);
    if (blockSize > 0) cxBitmapDecodePackets(ASource, limit, blockSize, ADest);
  }
  ASource->SetPosition(std::max(limit, std::min(ASource->Position(), streamEnd)));
  return true;
}

// --- TcxBitmap -------------------------------------------------------------------------------

TcxBitmap::TcxBitmap() {
  Initialize(0, 0, pf24bit);
}

TcxBitmap::TcxBitmap(int32_t AWidth, int32_t AHeight, TPixelFormat APixelFormat) {
  Initialize(AWidth, AHeight, APixelFormat);
}

TcxBitmap::TcxBitmap(const TRect& ARect, TPixelFormat APixelFormat) {
  Initialize(ARect.Width(), ARect.Height(), APixelFormat);
}

TcxBitmap::~TcxBitmap() = default;

void TcxBitmap::Initialize(int32_t AWidth, int32_t AHeight, TPixelFormat APixelFormat) {
  BeginUpdate();
  try {
    SetPixelFormat(APixelFormat);
    SetSize(AWidth, AHeight);
  } catch (...) {
    CancelUpdate();
    throw;
  }
  EndUpdate(true);
}

void TcxBitmap::EndUpdate(bool AForceUpdate) {
  --FLockCount;
  if (FLockCount == 0 && (AForceUpdate || FModified)) Changed(this);
}

void TcxBitmap::Changed(TObject* Sender) {
  if (FLockCount > 0) {
    FModified = true;
    return;
  }
  TBitmap::Changed(Sender);
  FModified = false;
  Update();
}

void TcxBitmap::SetSize(int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == Width() && AHeight == Height()) return;
  BeginUpdate();
  try {
    TBitmap::SetSize(AWidth, AHeight);
  } catch (...) {
    CancelUpdate();
    throw;
  }
  EndUpdate();
}

void TcxBitmap::CopyBitmap(TBitmap* ASrcBitmap, DWORD ACopyMode) {
  CopyBitmap(ASrcBitmap, ClientRect(), TPoint{0, 0}, ACopyMode);
}

void TcxBitmap::CopyBitmap(TBitmap* ASrcBitmap, const TRect& ADestRect, const TPoint& ASrcTopLeft,
                           DWORD ACopyMode) {
  cxBitBlt(Canvas()->Handle(), ASrcBitmap->Canvas()->Handle(), ADestRect, ASrcTopLeft, ACopyMode);
}

void TcxBitmap::Flip(bool AHorizontally, bool AVertically) {
  if (!AHorizontally && !AVertically) return;
  TcxBitmap copy(Width(), Height(), pf24bit);
  HDC dc = copy.Canvas()->Handle();
  const int oldMode = SetGraphicsMode(dc, GM_ADVANCED);
  const XFORM flip = TdxXFormHelper::CreateFlip(
      AHorizontally, AVertically, static_cast<float>(Width() - 1) / 2, static_cast<float>(Height() - 1) / 2);
  SetWorldTransform(dc, &flip);
  cxBitBlt(dc, Canvas()->Handle(), ClientRect(), TPoint{0, 0}, SRCCOPY);
  ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
  SetGraphicsMode(dc, oldMode);
  CopyBitmap(&copy);
  Changed(this);
}

void TcxBitmap::Rotate(TcxRotationAngle ARotationAngle, bool AFlipVertically) {
  cxCanvas()->RotateBitmap(this, ARotationAngle, AFlipVertically);
}

TcxCanvas* TcxBitmap::cxCanvas() {
  if (!FcxCanvas) FcxCanvas = std::make_unique<TcxCanvas>(Canvas());
  return FcxCanvas.get();
}

void TcxBitmap::Dormant() {
  FcxCanvas.reset();
  TBitmap::Dormant();
}

void TcxBitmap::ReadData(TStream* Stream) {
  TMemoryStream decoded;
  if (!cxReadCompressedBitmapBlock(Stream, &decoded)) {
    TBitmap::ReadData(Stream);
    return;
  }
  decoded.SetPosition(0);
  TBitmap::ReadData(&decoded);
}

void TcxBitmap::WriteData(TStream* Stream) {
  if (!FCompressData) {
    TBitmap::WriteData(Stream);
    return;
  }
  TMemoryStream raw;
  TBitmap::WriteData(&raw);
  raw.SetPosition(0);
  cxWriteCompressedBitmapBlock(&raw, Stream, cxBitmapBlockSizeOf(this));
}

// --- TcxBitmap32 -----------------------------------------------------------------------------

TcxBitmap32::TcxBitmap32() : TcxBitmap(TcxBitmapNoInit{}) {
  Initialize(0, 0, pf32bit);
}

TcxBitmap32::TcxBitmap32(int32_t AWidth, int32_t AHeight, bool AClear) : TcxBitmap(TcxBitmapNoInit{}) {
  Initialize(AWidth, AHeight, pf32bit);
  if (AClear) Clear();
}

TcxBitmap32::TcxBitmap32(const TRect& ARect, bool AClear)
    : TcxBitmap32(ARect.Width(), ARect.Height(), AClear) {}

void TcxBitmap32::Update() {
  FIsAlphaUsed = bDefault;
  if (cxGetBitmapPixelFormat(this) != 32) throw EdxException(u"Wrong PixelFormat");
}

void TcxBitmap32::GetBitmapColors(TRGBColors& AColors) {
  AColors.clear();
  dxCoreGraphics::GetBitmapBits(this, AColors, false);
}

void TcxBitmap32::SetBitmapColors(const TRGBColors& AColors) {
  dxCoreGraphics::SetBitmapBits(this, AColors, false);
}

void TcxBitmap32::Clear() {
  if (Empty()) return;
  const TRect r = ClientRect();
  FillRect(Canvas()->Handle(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void TcxBitmap32::AlphaBlend(TBitmap* ADestBitmap, const TRect& ADestRect, bool ASmoothImage,
                             uint8_t AConstantAlpha) {
  cxAlphaBlend(ADestBitmap, this, ADestRect, ClientRect(), ASmoothImage, AConstantAlpha);
}

void TcxBitmap32::Darken(uint8_t APercent) {
  TRGBColors colors;
  GetBitmapColors(colors);
  for (auto& c : colors) {
    c.rgbBlue = static_cast<uint8_t>(APercent * c.rgbBlue / 100);
    c.rgbGreen = static_cast<uint8_t>(APercent * c.rgbGreen / 100);
    c.rgbRed = static_cast<uint8_t>(APercent * c.rgbRed / 100);
  }
  SetBitmapColors(colors);
}

void TcxBitmap32::Lighten(uint8_t APercent) {
  TRGBColors colors;
  GetBitmapColors(colors);
  auto light = [APercent](uint8_t c) {
    return static_cast<uint8_t>(std::trunc(255 - APercent / 100.0 * (255 - c)));
  };
  for (auto& c : colors) {
    c.rgbBlue = light(c.rgbBlue);
    c.rgbGreen = light(c.rgbGreen);
    c.rgbRed = light(c.rgbRed);
  }
  SetBitmapColors(colors);
}

void TcxBitmap32::Filter(TBitmap* AMask) {
  CopyBitmap(AMask, 0x00220326);
}

void TcxBitmap32::Invert() {
  HDC dc = Canvas()->Handle();
  cxBitBlt(dc, dc, ClientRect(), TPoint{0, 0}, NOTSRCCOPY);
}

void TcxBitmap32::SetAlphaChannel(uint8_t Alpha) {
  TRGBColors colors;
  GetBitmapColors(colors);
  for (auto& c : colors) c.rgbReserved = Alpha;
  SetBitmapColors(colors);
}

void TcxBitmap32::RecoverTransparency(TColor ATransparentColor) {
  const COLORREF t = ColorToRGB(ATransparentColor);
  TRGBColors colors;
  GetBitmapColors(colors);
  for (auto& c : colors) {
    if (c.rgbRed == GetRValue(t) && c.rgbGreen == GetGValue(t) && c.rgbBlue == GetBValue(t))
      c = RGBQUAD{0, 0, 0, 0};
    else if (c.rgbReserved == 0)
      c.rgbReserved = 255;
  }
  SetBitmapColors(colors);
}

void TcxBitmap32::Resize(int32_t ANewWidth, int32_t ANewHeight, bool AStretch, bool ASmooth,
                         TColor AFillColor) {
  TcxBitmap32 copy(Width(), Height());
  copy.CopyBitmap(this);
  SetSize(ANewWidth, ANewHeight);
  if (AStretch || AFillColor == clNone) {
    Clear();
  } else {
    cxCanvas()->FillRect(ClientRect(), AFillColor);
  }
  if (AStretch)
    copy.AlphaBlend(this, ClientRect(), ASmooth);
  else
    CopyBitmap(&copy, cxRectCenter(ClientRect(), copy.Width(), copy.Height()), TPoint{0, 0});
}

bool TcxBitmap32::IsAlphaUsed() {
  if (FIsAlphaUsed == bDefault) FIsAlphaUsed = dxBooleanToDefaultBoolean(dxIsAlphaUsed(this));
  return FIsAlphaUsed == bTrue;
}

void TcxBitmap32::LoadFromStream(TStream* Stream) {
  BeginUpdate();
  try {
    TcxBitmap::LoadFromStream(Stream);
  } catch (...) {
    SetPixelFormat(pf32bit);
    EndUpdate(true);
    throw;
  }
  SetPixelFormat(pf32bit);
  EndUpdate(true);
}

// --- TcxColorList ----------------------------------------------------------------------------

void TcxColorList::Add(TColor AColor) {
  const COLORREF c = ColorToRGB(AColor);
  FItems.push_back((static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) |
                   GetBValue(c));
}

bool TcxColorList::Contains(uint32_t AQuadRGB) const {
  return std::find(FItems.begin(), FItems.end(), AQuadRGB & 0xFFFFFF) != FItems.end();
}

}  // namespace qd
