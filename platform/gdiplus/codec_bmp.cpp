// BMP files and device-independent bitmaps (also the bitmap entries of icons).
//
// Alpha: a 16- or 32-bit bitmap whose header gives an alpha mask (bit fields, or the
// alpha mask of a V4/V5 header) takes its alpha from that mask as it is. A 32-bit bitmap
// without an alpha mask uses its fourth byte as alpha only when some pixel has a non-zero
// fourth byte; when all are zero the bitmap is opaque (writers that leave the byte unused
// fill it with zeros). Icon entries fall back to the AND mask in that case.
// Pixels skipped by an RLE delta or end-of-line take colour 0 of the palette.
#include "platform/gdiplus/codec_internal.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>

namespace qd::codecs::detail {

namespace {

enum : uint32_t {
  BI_RGB = 0,
  BI_RLE8 = 1,
  BI_RLE4 = 2,
  BI_BITFIELDS = 3,
  BI_JPEG = 4,
  BI_PNG = 5,
  BI_ALPHABITFIELDS = 6,
};

// A two-byte RLE run paints at most 255 pixels and a four-byte delta skips at most
// 255 x 255 pixels.
constexpr uint64_t kRlePixelsPerByte = 16384;

struct DibHeader {
  uint32_t HeaderSize = 0;
  int64_t Width = 0;
  int64_t Height = 0;  // rows, always positive
  bool TopDown = false;
  uint16_t BitCount = 0;
  uint32_t Compression = BI_RGB;
  uint32_t ClrUsed = 0;
  int32_t XPelsPerMeter = 0;
  int32_t YPelsPerMeter = 0;
  uint32_t Masks[4] = {};     // red, green, blue, alpha
  bool AlphaMask = false;     // the header itself names an alpha channel
  bool DefaultLayout = true;  // the usual 5-5-5 or 8-8-8 layout, alpha not named
  size_t PaletteOffset = 0;   // from the start of the header
  size_t PaletteEntrySize = 4;
};

Status ParseDibHeader(ByteSpan dib, DibHeader& h) {
  if (dib.size() < 4) return Status::InvalidParameter;
  h.HeaderSize = Le32(dib.data());
  const uint32_t hs = h.HeaderSize;
  if (hs == 12) {
    if (dib.size() < 12) return Status::InvalidParameter;
    h.Width = Le16(dib.data() + 4);
    h.Height = Le16(dib.data() + 6);
    h.BitCount = Le16(dib.data() + 10);
    h.PaletteOffset = 12;
    h.PaletteEntrySize = 3;
  } else {
    if (hs < 16 || hs > 4096 || dib.size() < hs) return Status::InvalidParameter;
    h.Width = int32_t(Le32(dib.data() + 4));
    const int32_t height = int32_t(Le32(dib.data() + 8));
    if (height == INT32_MIN) return Status::InvalidParameter;
    h.TopDown = height < 0;
    h.Height = height < 0 ? -int64_t(height) : height;
    h.BitCount = Le16(dib.data() + 14);
    if (hs >= 20) h.Compression = Le32(dib.data() + 16);
    if (hs >= 32) {
      h.XPelsPerMeter = int32_t(Le32(dib.data() + 24));
      h.YPelsPerMeter = int32_t(Le32(dib.data() + 28));
    }
    if (hs >= 36) h.ClrUsed = Le32(dib.data() + 32);
    h.PaletteOffset = hs;
    // The OS/2 2.x header reuses compression 3 and 4 for Huffman and RLE24.
    if (hs == 64 && (h.Compression == 3 || h.Compression == 4)) return Status::NotImplemented;
    const bool fields = h.Compression == BI_BITFIELDS || h.Compression == BI_ALPHABITFIELDS;
    if (hs >= 52 && hs != 64) {
      if (fields)
        for (int i = 0; i < 3; ++i) h.Masks[i] = Le32(dib.data() + 40 + 4 * i);
      if (hs >= 56) h.Masks[3] = Le32(dib.data() + 52);
    } else if (hs == 40 && fields) {
      const size_t n = h.Compression == BI_ALPHABITFIELDS ? 4 : 3;
      if (dib.size() < 40 + 4 * n) return Status::InvalidParameter;
      for (size_t i = 0; i < n; ++i) h.Masks[i] = Le32(dib.data() + 40 + 4 * i);
      h.PaletteOffset += 4 * n;
    }
    if (!fields && (h.BitCount != 32 || h.Masks[3] != 0xFF000000u)) h.Masks[3] = 0;
  }
  if (h.Compression != BI_BITFIELDS && h.Compression != BI_ALPHABITFIELDS) {
    // The fixed layouts; a V4/V5 alpha mask still names the fourth byte of 32-bit pixels.
    h.Masks[0] = h.BitCount == 16 ? 0x7C00 : 0xFF0000;
    h.Masks[1] = h.BitCount == 16 ? 0x03E0 : 0x00FF00;
    h.Masks[2] = h.BitCount == 16 ? 0x001F : 0x0000FF;
  }
  h.AlphaMask = h.Masks[3] != 0;
  h.DefaultLayout =
      !h.AlphaMask &&
      ((h.BitCount == 32 && h.Masks[0] == 0xFF0000 && h.Masks[1] == 0xFF00 && h.Masks[2] == 0xFF) ||
       (h.BitCount == 16 && h.Masks[0] == 0x7C00 && h.Masks[1] == 0x03E0 && h.Masks[2] == 0x1F));

  if (h.Width <= 0 || h.Height <= 0) return Status::InvalidParameter;
  switch (h.Compression) {
    case BI_RGB:
      if (h.BitCount != 1 && h.BitCount != 4 && h.BitCount != 8 && h.BitCount != 16 && h.BitCount != 24 &&
          h.BitCount != 32)
        return Status::InvalidParameter;
      break;
    case BI_RLE8:
      if (h.BitCount != 8 || h.TopDown) return Status::InvalidParameter;
      break;
    case BI_RLE4:
      if (h.BitCount != 4 || h.TopDown) return Status::InvalidParameter;
      break;
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS:
      if (h.BitCount != 16 && h.BitCount != 32) return Status::InvalidParameter;
      break;
    case BI_JPEG:
    case BI_PNG:
      return Status::NotImplemented;
    default:
      return Status::InvalidParameter;
  }
  return Status::Ok;
}

PixelKind KindOf(const DibHeader& h) {
  switch (h.BitCount) {
    case 1:
      return PixelKind::Indexed1;
    case 4:
      return PixelKind::Indexed4;
    case 8:
      return PixelKind::Indexed8;
    case 16:
      return h.AlphaMask ? PixelKind::Argb1555 : h.Masks[1] == 0x07E0 ? PixelKind::Rgb565 : PixelKind::Rgb555;
    case 24:
      return PixelKind::Rgb24;
    default:
      return h.AlphaMask ? PixelKind::Argb32 : PixelKind::Rgb32;
  }
}

// Extracts one channel of a bit-field pixel and scales it to 8 bits.
struct Channel {
  uint32_t Mask = 0;
  int Shift = 0;
  int Bits = 0;

  explicit Channel(uint32_t mask) : Mask(mask) {
    if (mask) {
      Shift = std::countr_zero(mask);
      Bits = 32 - std::countl_zero(mask >> Shift);
    }
  }
  uint32_t Get(uint32_t px, uint32_t absent) const {
    if (!Bits) return absent;
    uint32_t v = (px & Mask) >> Shift;
    if (Bits >= 8) return v >> (Bits - 8);
    const uint32_t max = (1u << Bits) - 1;
    return (v * 255 + max / 2) / max;
  }
};

void DecodeRle(ByteSpan src, const DibHeader& h, const std::vector<uint32_t>& palette, Frame& frame) {
  const int64_t width = frame.Width, rows = frame.Height;
  const bool four = h.Compression == BI_RLE4;
  int64_t x = 0, row = 0;  // row 0 is the bottom one
  auto put = [&](uint32_t index) {
    if (x < width && row < rows) frame.At(int32_t(x), int32_t(rows - 1 - row)) = palette[index & 0xFF];
    ++x;
  };
  size_t pos = 0;
  while (pos + 1 < src.size() && row < rows) {
    const uint8_t count = src[pos], value = src[pos + 1];
    pos += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i) put(four ? ((i & 1) ? (value & 0x0F) : (value >> 4)) : value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++row;
    } else if (value == 1) {  // end of bitmap
      break;
    } else if (value == 2) {  // delta
      if (pos + 1 >= src.size()) break;
      x += src[pos];
      row += src[pos + 1];
      pos += 2;
    } else {  // absolute run of `value` pixels, padded to a 16-bit boundary
      const size_t bytes = four ? (size_t(value) + 1) / 2 : value;
      if (src.size() - pos < bytes) break;
      for (int i = 0; i < value; ++i) {
        const uint8_t b = src[pos + (four ? size_t(i) / 2 : size_t(i))];
        put(four ? ((i & 1) ? (b & 0x0F) : (b >> 4)) : b);
      }
      pos += (bytes + 1) & ~size_t(1);
    }
  }
}

}  // namespace

Status DecodeDib(ByteSpan dib, size_t bitsOffset, bool iconMask, Frame& frame, DibResult& info) {
  DibHeader h;
  Status status = ParseDibHeader(dib, h);
  if (status != Status::Ok) return status;
  const int64_t width = h.Width;
  const int64_t rows = iconMask ? h.Height / 2 : h.Height;
  if (rows <= 0) return Status::InvalidParameter;
  const uint32_t bpp = h.BitCount;

  // Colour table.
  uint64_t entries = h.ClrUsed;
  if (bpp <= 8 && (entries == 0 || entries > (1u << bpp))) entries = 1u << bpp;
  if (entries > 65536) {
    // Only a table of that size would tell where the bits of an icon entry start.
    if (bitsOffset == 0) return Status::InvalidParameter;
    entries = 0;
  }
  const size_t tableBytes = size_t(entries) * h.PaletteEntrySize;
  if (bitsOffset != 0 && (bitsOffset < h.PaletteOffset || bitsOffset > dib.size())) bitsOffset = 0;
  const size_t bitsStart = bitsOffset != 0 ? bitsOffset : h.PaletteOffset + tableBytes;
  if (bitsStart > dib.size()) return Status::InvalidParameter;
  std::vector<uint32_t> palette(256, 0xFF000000u);
  if (bpp <= 8) {
    const size_t tableEnd = std::min({h.PaletteOffset + tableBytes, bitsStart, dib.size()});
    const size_t readable =
        tableEnd > h.PaletteOffset ? (tableEnd - h.PaletteOffset) / h.PaletteEntrySize : 0;
    for (size_t i = 0; i < readable && i < 256; ++i) {
      const uint8_t* p = dib.data() + h.PaletteOffset + i * h.PaletteEntrySize;
      palette[i] = Argb(255, p[2], p[1], p[0]);
    }
    info.Palette.Entries.assign(palette.begin(),
                                palette.begin() + std::ptrdiff_t(std::min<uint64_t>(entries, 256)));
  }
  const ByteSpan bits = dib.subspan(bitsStart);

  const uint64_t stride = ((uint64_t(width) * bpp + 31) / 32) * 4;
  const bool rle = h.Compression == BI_RLE8 || h.Compression == BI_RLE4;
  status = CheckFrameSize(width, rows, bits.size(), rle ? kRlePixelsPerByte : 0);
  if (status != Status::Ok) return status;
  if (!rle && stride * uint64_t(rows - 1) + (uint64_t(width) * bpp + 7) / 8 > bits.size())
    return Status::InvalidParameter;
  status = AllocFrame(frame, int32_t(width), int32_t(rows), rle ? palette[0] : 0xFF000000u);
  if (status != Status::Ok) return status;
  info.Kind = KindOf(h);
  if (h.XPelsPerMeter > 0 && h.YPelsPerMeter > 0) {
    info.DpiX = h.XPelsPerMeter * 0.0254;
    info.DpiY = h.YPelsPerMeter * 0.0254;
  }

  if (rle) {
    DecodeRle(bits, h, palette, frame);
    return Status::Ok;
  }

  auto srcRow = [&](int64_t r) { return bits.data() + size_t(stride) * size_t(r); };
  auto dstRow = [&](int64_t r) {
    return frame.Pixels.data() + size_t(h.TopDown ? r : rows - 1 - r) * size_t(width);
  };

  // 32-bit pixels without a named alpha channel: alpha only when some fourth byte is set.
  bool alphaFromByte = h.AlphaMask;
  if (bpp == 32 && !h.AlphaMask && h.DefaultLayout) {
    for (int64_t r = 0; r < rows && !alphaFromByte; ++r) {
      const uint8_t* s = srcRow(r);
      for (int64_t x = 0; x < width; ++x)
        if (s[x * 4 + 3]) {
          alphaFromByte = true;
          break;
        }
    }
    if (alphaFromByte) info.Kind = PixelKind::Argb32;
  }

  const Channel red(h.Masks[0]), green(h.Masks[1]), blue(h.Masks[2]), alpha(h.Masks[3]);
  for (int64_t r = 0; r < rows; ++r) {
    const uint8_t* s = srcRow(r);
    uint32_t* d = dstRow(r);
    switch (bpp) {
      case 1:
        for (int64_t x = 0; x < width; ++x) d[x] = palette[(s[x >> 3] >> (7 - (x & 7))) & 1];
        break;
      case 4:
        for (int64_t x = 0; x < width; ++x) d[x] = palette[(x & 1) ? (s[x >> 1] & 0x0F) : (s[x >> 1] >> 4)];
        break;
      case 8:
        for (int64_t x = 0; x < width; ++x) d[x] = palette[s[x]];
        break;
      case 16:
        for (int64_t x = 0; x < width; ++x) {
          const uint32_t px = Le16(s + x * 2);
          d[x] = Argb(alpha.Get(px, 255), red.Get(px, 0), green.Get(px, 0), blue.Get(px, 0));
        }
        break;
      case 24:
        for (int64_t x = 0; x < width; ++x) d[x] = Argb(255, s[x * 3 + 2], s[x * 3 + 1], s[x * 3]);
        break;
      case 32:
        if (h.DefaultLayout) {
          for (int64_t x = 0; x < width; ++x) {
            const uint32_t px = Le32(s + x * 4);
            d[x] = alphaFromByte ? px : (px | 0xFF000000u);
          }
        } else {
          for (int64_t x = 0; x < width; ++x) {
            const uint32_t px = Le32(s + x * 4);
            d[x] = Argb(alpha.Get(px, 255), red.Get(px, 0), green.Get(px, 0), blue.Get(px, 0));
          }
        }
        break;
    }
  }

  if (iconMask && !alphaFromByte) {
    const uint64_t maskStride = ((uint64_t(width) + 31) / 32) * 4;
    const uint64_t maskStart = stride * uint64_t(rows);
    if (bits.size() >= maskStart && bits.size() - maskStart >= maskStride * uint64_t(rows)) {
      const uint8_t* mask = bits.data() + maskStart;
      for (int64_t r = 0; r < rows; ++r) {
        const uint8_t* m = mask + size_t(maskStride) * size_t(r);
        uint32_t* d = dstRow(r);
        for (int64_t x = 0; x < width; ++x)
          if ((m[x >> 3] >> (7 - (x & 7))) & 1) d[x] = 0;
      }
    }
  }
  return Status::Ok;
}

Status DecodeBmp(ByteSpan data, Image& out) {
  if (data.size() < 18) return Status::InvalidParameter;
  const uint32_t offBits = Le32(data.data() + 10);
  const size_t bitsOffset = offBits > 14 && offBits <= data.size() ? offBits - 14 : 0;
  Frame frame;
  DibResult info;
  const Status status = DecodeDib(data.subspan(14), bitsOffset, false, frame, info);
  if (status != Status::Ok) return status;
  out.SourceKind = info.Kind;
  out.Palette = std::move(info.Palette);
  if (info.DpiX > 0) {
    out.DpiX = info.DpiX;
    out.DpiY = info.DpiY;
    out.Flags |= ImageFlagsHasRealDPI;
  }
  out.Frames.push_back(std::move(frame));
  return Status::Ok;
}

Status ProbeBmp(ByteSpan data, ImageInfo& info) {
  if (data.size() < 18) return Status::InvalidParameter;
  DibHeader h;
  const Status status = ParseDibHeader(data.subspan(14), h);
  if (status != Status::Ok) return status;
  if (h.Width > INT32_MAX || h.Height > INT32_MAX) return Status::InvalidParameter;
  info.Width = int32_t(h.Width);
  info.Height = int32_t(h.Height);
  info.SourceKind = KindOf(h);
  return Status::Ok;
}

Status EncodeBmp(const Image& image, int bitCount, std::vector<uint8_t>& out) {
  const Frame& frame = image.Frames[0];
  if (bitCount == 0) bitCount = AllOpaque(frame) ? 24 : 32;
  const uint32_t headerSize = bitCount == 32 ? 124 : 40;
  const uint64_t stride = ((uint64_t(frame.Width) * uint32_t(bitCount) + 31) / 32) * 4;
  const uint64_t imageSize = stride * uint64_t(frame.Height);
  const uint64_t fileSize = 14 + headerSize + imageSize;
  if (fileSize > UINT32_MAX) return Status::InvalidParameter;
  auto ppm = [](double dpi) {
    return dpi > 0 && dpi < 1e6 ? uint32_t(std::lround(dpi / 0.0254)) : uint32_t(3780);
  };
  out.reserve(size_t(fileSize));
  out.push_back('B');
  out.push_back('M');
  PutLe32(out, uint32_t(fileSize));
  PutLe32(out, 0);
  PutLe32(out, 14 + headerSize);
  PutLe32(out, headerSize);
  PutLe32(out, uint32_t(frame.Width));
  PutLe32(out, uint32_t(frame.Height));  // bottom-up
  PutLe16(out, 1);
  PutLe16(out, uint32_t(bitCount));
  PutLe32(out, bitCount == 32 ? BI_BITFIELDS : BI_RGB);
  PutLe32(out, uint32_t(imageSize));
  PutLe32(out, ppm(image.DpiX));
  PutLe32(out, ppm(image.DpiY));
  PutLe32(out, 0);
  PutLe32(out, 0);
  if (bitCount == 32) {
    PutLe32(out, 0x00FF0000);
    PutLe32(out, 0x0000FF00);
    PutLe32(out, 0x000000FF);
    PutLe32(out, 0xFF000000);
    PutLe32(out, 0x73524742);           // 'sRGB'
    out.insert(out.end(), 36 + 12, 0);  // end points and gamma, unused with sRGB
    PutLe32(out, 4);                    // LCS_GM_IMAGES
    PutLe32(out, 0);
    PutLe32(out, 0);
    PutLe32(out, 0);
  }
  for (int32_t y = frame.Height - 1; y >= 0; --y) {
    const uint32_t* s = frame.Pixels.data() + size_t(y) * size_t(frame.Width);
    if (bitCount == 32) {
      for (int32_t x = 0; x < frame.Width; ++x) PutLe32(out, s[x]);
    } else {
      for (int32_t x = 0; x < frame.Width; ++x) {
        out.push_back(uint8_t(s[x]));
        out.push_back(uint8_t(s[x] >> 8));
        out.push_back(uint8_t(s[x] >> 16));
      }
      out.insert(out.end(), size_t(stride - uint64_t(frame.Width) * 3), 0);
    }
  }
  return Status::Ok;
}

}  // namespace qd::codecs::detail
