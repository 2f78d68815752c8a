#pragma once
// Detecting, probing, decoding and encoding images. Nothing here throws: every failure is
// a Status, and damaged or hostile data never crashes, hangs or allocates without bound.
#include "platform/base/types.h"
#include "platform/gdiplus/codec_image.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace qd::codecs {

using ByteSpan = std::span<const uint8_t>;

// The format whose signature starts the data; Unknown when none matches.
ImageFormat DetectFormat(ByteSpan data);

// Reads only the header: format, width and height (positive), and the source pixel kind.
// UnknownImageFormat for foreign data, InvalidParameter for a header that is cut short or
// inconsistent, NotImplemented for EMF/WMF (the format is still filled in).
Status ProbeHeader(ByteSpan data, ImageInfo& info);

struct DecodeOptions {
  // Icons: the entry closest to this size (0 = the largest), and then the deepest, or the
  // one of this bit count when several have the size.
  int32_t IconWidth = 0;
  int32_t IconHeight = 0;
  int32_t IconBitCount = 0;
  // Multi-frame formats: false decodes only the first frame (a GIF's frame-delay
  // property still lists every frame).
  bool AllFrames = true;
  // JPEG: when both are above 0, a preview decoded at the smallest DCT scale (1/2, 1/4 or
  // 1/8) whose result still covers this size; the image then has the reduced size.
  int32_t MinWidth = 0;
  int32_t MinHeight = 0;
  // With MinWidth and MinHeight: the preview is averaged down to exactly that size while
  // its rows are read (not for CMYK files), so no full-size preview is held.
  bool ExactSize = false;
};

// Decodes the whole image. On failure `out` is left empty.
// Damaged files: PNG, BMP and icons fail; a JPEG cut short keeps the rows that arrived
// (the rest grey, as libjpeg fills it); GIF and TIFF keep the frames or pages that arrived
// whole. Limits (kMaxPixels, kMaxTotalPixels, kMaxFrames, and a size the data could not
// plausibly hold) fail with OutOfMemory or InvalidParameter before anything is allocated.
// 32-bit BMPs without an alpha mask take their fourth byte as alpha only when some pixel
// has it non-zero (see codec_bmp.cpp).
Status Decode(ByteSpan data, Image& out, const DecodeOptions& options = {});
// Reads the file (FileNotFound, AccessDenied, ...) and decodes it.
Status DecodeFile(const String& path, Image& out, const DecodeOptions& options = {});

enum class TiffCompression : uint8_t { Lzw, Deflate };

struct EncodeOptions {
  int32_t Quality = 75;  // JPEG, 0..100
  TiffCompression Tiff = TiffCompression::Lzw;
  // BMP: 24, 32, or 0 for 32 when any pixel is not fully opaque and 24 otherwise.
  int32_t BmpBitCount = 0;
};

// Encodes the image's first frame (TIFF: every frame, one page each) with the image's
// resolution. Formats: PNG, JPEG, BMP (MemoryBMP too), GIF, TIFF; others NotImplemented.
// Alpha: PNG and TIFF are written with an alpha channel only when some pixel is not fully
// opaque; JPEG drops alpha; GIF makes pixels with alpha below 128 transparent.
Status Encode(const Image& image, ImageFormat format, std::vector<uint8_t>& out,
              const EncodeOptions& options = {});

// An image of one frame of the given pixels (0xAARRGGBB, straight alpha), for encoding.
Image MakeImage(int32_t width, int32_t height, std::vector<uint32_t> pixels, double dpiX = 96.0,
                double dpiY = 96.0);

}  // namespace qd::codecs
