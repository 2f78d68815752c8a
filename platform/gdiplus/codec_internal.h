#pragma once
// Shared helpers of the codec implementation files; not for use outside platform/gdiplus.
#include "platform/gdiplus/codec_io.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace qd::codecs::detail {

inline uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return (a << 24) | (r << 16) | (g << 8) | b;
}

inline uint16_t Le16(const uint8_t* p) {
  return uint16_t(p[0] | (p[1] << 8));
}
inline uint32_t Le32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline uint16_t Be16(const uint8_t* p) {
  return uint16_t((p[0] << 8) | p[1]);
}
inline uint32_t Be32(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}
inline void PutLe16(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(uint8_t(x));
  v.push_back(uint8_t(x >> 8));
}
inline void PutLe32(std::vector<uint8_t>& v, uint32_t x) {
  PutLe16(v, x & 0xFFFF);
  PutLe16(v, x >> 16);
}

// Checks a frame's size before anything is allocated for it: both sides positive and at
// most kMaxDimension, at most kMaxPixels pixels, and no more pixels than `dataBytes` of
// compressed data can plausibly produce (`pixelsPerByte` is the format's best ratio; 0
// skips that test). OutOfMemory for a size beyond the limits, InvalidParameter for a
// zero or negative side or a size the data cannot hold.
Status CheckFrameSize(int64_t width, int64_t height, size_t dataBytes, uint64_t pixelsPerByte);

// Resizes a frame's pixels, catching allocation failure.
Status AllocFrame(Frame& frame, int32_t width, int32_t height, uint32_t fill = 0);

void AddProperty(Image& image, uint32_t id, uint16_t type, const void* data, size_t size);
void AddPropertyShort(Image& image, uint32_t id, uint16_t value);
void AddPropertyByte(Image& image, uint32_t id, uint8_t value);
void AddPropertyLongs(Image& image, uint32_t id, const std::vector<uint32_t>& values);

// Sets the flags that follow from the image's kind and palette (alpha, real pixel size,
// read-only). Colour-space and DPI flags are set by the decoders.
void FinishImage(Image& image);

ColorPalette GreyPalette(int bits);

// Reads entries of one TIFF image file directory (also the layout of EXIF data).
// `Value` is the 4-byte value field as a number (byte order resolved; a single SHORT is
// its first two bytes).
struct TiffEntry {
  uint16_t Tag = 0;
  uint16_t Type = 0;
  uint32_t Count = 0;
  uint32_t Value = 0;
};
// Calls `onEntry` for each entry of the IFD at `offset`; false when the directory does not
// fit in the data. The callback returns false to stop early.
template <class F>
bool ForEachTiffEntry(ByteSpan tiff, bool bigEndian, uint32_t offset, F&& onEntry);
// The first number of an entry whose value is SHORT or LONG; false for other types.
bool TiffEntryNumber(ByteSpan tiff, bool bigEndian, const TiffEntry& e, uint32_t& out);
// The first RATIONAL value of an entry, read from its offset.
bool TiffEntryRational(ByteSpan tiff, bool bigEndian, const TiffEntry& e, double& out);

template <class F>
bool ForEachTiffEntry(ByteSpan tiff, bool bigEndian, uint32_t offset, F&& onEntry) {
  auto r16 = [&](const uint8_t* p) { return bigEndian ? Be16(p) : Le16(p); };
  auto r32 = [&](const uint8_t* p) { return bigEndian ? Be32(p) : Le32(p); };
  if (offset > tiff.size() || tiff.size() - offset < 2) return false;
  const uint32_t count = r16(tiff.data() + offset);
  if ((tiff.size() - offset - 2) / 12 < count) return false;
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* p = tiff.data() + offset + 2 + i * 12;
    TiffEntry e;
    e.Tag = r16(p);
    e.Type = r16(p + 2);
    e.Count = r32(p + 4);
    // A single SHORT sits in the first two bytes of the value field.
    e.Value = (e.Type == 3 && e.Count == 1) ? r16(p + 8) : r32(p + 8);
    if (!onEntry(e)) break;
  }
  return true;
}

// Per-format decoders; each fills `out` completely or returns a failure.
Status DecodePng(ByteSpan data, Image& out);
// A preview at a reduced DCT scale when minWidth and minHeight are above 0 (see DecodeOptions).
Status DecodeJpeg(ByteSpan data, Image& out, int32_t minWidth = 0, int32_t minHeight = 0,
                  bool exactSize = false);
Status DecodeGif(ByteSpan data, Image& out, bool allFrames);
Status DecodeTiff(ByteSpan data, Image& out, bool allFrames);
Status DecodeBmp(ByteSpan data, Image& out);
Status DecodeIco(ByteSpan data, Image& out, const DecodeOptions& options);

// Decodes a device-independent bitmap: a BITMAPINFOHEADER-family header followed by the
// colour table and the pixels. `bitsOffset` is where the pixels start when known (a BMP file's
// offset from the start of the header), else 0. Icons pass `iconMask`: the header's
// height is doubled and an AND mask follows the colour bits.
struct DibResult {
  PixelKind Kind = PixelKind::Rgb24;
  double DpiX = 0, DpiY = 0;  // 0 when the header gives none
  ColorPalette Palette;
};
Status DecodeDib(ByteSpan dib, size_t bitsOffset, bool iconMask, Frame& frame, DibResult& info);

// Header probes of the individual formats.
Status ProbePng(ByteSpan data, ImageInfo& info);
Status ProbeJpeg(ByteSpan data, ImageInfo& info);
Status ProbeGif(ByteSpan data, ImageInfo& info);
Status ProbeTiff(ByteSpan data, ImageInfo& info);
Status ProbeBmp(ByteSpan data, ImageInfo& info);
Status ProbeIco(ByteSpan data, ImageInfo& info);

// Encoders.
Status EncodePng(const Image& image, std::vector<uint8_t>& out);
Status EncodeJpeg(const Image& image, int quality, std::vector<uint8_t>& out);
Status EncodeBmp(const Image& image, int bitCount, std::vector<uint8_t>& out);
Status EncodeGif(const Image& image, std::vector<uint8_t>& out);
Status EncodeTiff(const Image& image, TiffCompression compression, std::vector<uint8_t>& out);

bool AllOpaque(const Frame& frame);

// Reduces a frame to at most `maxColors` (2..256) colours. Pixels with alpha below 128
// become `TransparentIndex` (-1 when there are none).
struct QuantizedFrame {
  std::vector<uint32_t> Palette;  // 0xFFRRGGBB; the transparent entry is 0
  std::vector<uint8_t> Indices;   // Width * Height
  int TransparentIndex = -1;
};
Status Quantize(const Frame& frame, int maxColors, QuantizedFrame& out);

}  // namespace qd::codecs::detail
