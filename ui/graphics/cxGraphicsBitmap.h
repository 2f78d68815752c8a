#pragma once
// TcxBitmap: the platform bitmap with its own TcxCanvas, batched change notification, flips
// and rotation, and an optional run-length compression of the data a stored form holds.
// TcxBitmap32 fixes the format at 32 bits per pixel and adds whole-bitmap pixel operations.
// TcxColorList holds the colours an alpha bitmap treats as transparent.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/geometry.h"
#include "platform/classes/streams.h"
#include "platform/forms/graphics.h"
#include "ui/core/dxCore.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/graphics/dxCoreGraphics.h"

namespace qd {

// --- The compressed bitmap block -------------------------------------------------------------
//
// Little-endian: Size (int32, the bytes after the 10-byte header), "XDBM", version (uint16,
// 2), then BlockSize (byte), Shift (byte), Shift raw bytes, and packets: a code byte c with
// n = c and 0x7F; with bit 7 set n blocks follow and are copied, else one block follows and is
// repeated n times.

// The most a block may decode to; decoding stops there.
constexpr int64_t cxCompressedBitmapMaxDecodedSize = int64_t{256} << 20;

// Codes ARaw (from its current position to its end) into ADest at ADest's position; Size is
// counted from the block's own start.
void cxWriteCompressedBitmapBlock(TStream* ARaw, TStream* ADest, int32_t ABlockSize);
// Reads a block at ASource's position into ADest and leaves ASource after the block. False
// (ASource's position unchanged, ADest untouched) when no "XDBM" signature is there. The
// block is untrusted: its Size is bounded by what ASource holds, decoding stops at the end of
// the block or of the data, and damaged packets end it early.
bool cxReadCompressedBitmapBlock(TStream* ASource, TStream* ADest);

// --- TcxBitmap -------------------------------------------------------------------------------

class TcxBitmap : public TBitmap {
  QD_CLASS(TcxBitmap, TBitmap)

 public:
  TcxBitmap();
  TcxBitmap(int32_t AWidth, int32_t AHeight, TPixelFormat APixelFormat = pf24bit);
  explicit TcxBitmap(const TRect& ARect, TPixelFormat APixelFormat = pf24bit);
  ~TcxBitmap() override;

  void BeginUpdate() { ++FLockCount; }
  void CancelUpdate() { --FLockCount; }
  void EndUpdate(bool AForceUpdate = false);

  void SetSize(int AWidth, int AHeight) override;
  void SetSize(const TRect& ARect) { SetSize(ARect.Width(), ARect.Height()); }

  void CopyBitmap(TBitmap* ASrcBitmap, DWORD ACopyMode = SRCCOPY);
  void CopyBitmap(TBitmap* ASrcBitmap, const TRect& ADestRect, const TPoint& ASrcTopLeft,
                  DWORD ACopyMode = SRCCOPY);
  // Mirrors the picture in place through a 24-bit copy (alpha is not carried).
  void Flip(bool AHorizontally, bool AVertically);
  void Rotate(TcxRotationAngle ARotationAngle, bool AFlipVertically = false);

  TRect ClientRect() const { return TRect{0, 0, Width(), Height()}; }
  TcxCanvas* cxCanvas();
  void Dormant();

  bool CompressData() const { return FCompressData; }
  void SetCompressData(bool Value) { FCompressData = Value; }
  void ReadData(TStream* Stream) override;
  void WriteData(TStream* Stream) override;

  int32_t LockCount() const { return FLockCount; }

 protected:
  struct TcxBitmapNoInit {};
  explicit TcxBitmap(TcxBitmapNoInit) {}

  // Pixel format, then size, inside one update that always notifies.
  virtual void Initialize(int32_t AWidth, int32_t AHeight, TPixelFormat APixelFormat);
  virtual void Update() {}
  void Changed(TObject* Sender) override;

  bool FCompressData = false;
  std::unique_ptr<TcxCanvas> FcxCanvas;
  int32_t FLockCount = 0;
  bool FModified = false;
};

// --- TcxBitmap32 -----------------------------------------------------------------------------

class TcxBitmap32 : public TcxBitmap {
  QD_CLASS(TcxBitmap32, TcxBitmap)

 public:
  TcxBitmap32();
  TcxBitmap32(int32_t AWidth, int32_t AHeight, bool AClear = false);
  explicit TcxBitmap32(const TRect& ARect, bool AClear = false);

  // Bottom-up, one quad per pixel.
  void GetBitmapColors(TRGBColors& AColors);
  void SetBitmapColors(const TRGBColors& AColors);

  // The stock black brush over everything: every quad 0.
  virtual void Clear();
  void AlphaBlend(TBitmap* ADestBitmap, const TRect& ADestRect, bool ASmoothImage,
                  uint8_t AConstantAlpha = 255);
  void Darken(uint8_t APercent);
  void Lighten(uint8_t APercent);
  // Destination AND NOT mask.
  void Filter(TBitmap* AMask);
  void Invert();
  void SetAlphaChannel(uint8_t Alpha);
  void MakeOpaque() { SetAlphaChannel(255); }
  void RecoverTransparency(TColor ATransparentColor);
  void Resize(int32_t ANewWidth, int32_t ANewHeight, bool AStretch, bool ASmooth, TColor AFillColor = clNone);
  bool IsAlphaUsed();

  void LoadFromStream(TStream* Stream) override;

 protected:
  explicit TcxBitmap32(TcxBitmapNoInit A) : TcxBitmap(A) {}
  // Raises EdxException "Wrong PixelFormat" below 32 bits per pixel.
  void Update() override;

  TdxDefaultBoolean FIsAlphaUsed = bDefault;
};

// --- TcxColorList ----------------------------------------------------------------------------

// Colours as quads: blue in the low byte, then green and red, the top byte 0.
class TcxColorList {
 public:
  void Add(TColor AColor);
  void Clear() { FItems.clear(); }
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  uint32_t Items(int32_t AIndex) const { return FItems[static_cast<size_t>(AIndex)]; }
  bool Contains(uint32_t AQuadRGB) const;

 private:
  std::vector<uint32_t> FItems;
};

}  // namespace qd
