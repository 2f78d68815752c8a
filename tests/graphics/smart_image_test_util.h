#pragma once
// Small real image files for the smart-image tests: made with the platform's encoders, or
// written byte by byte where a header needs a shape of its own (animated GIFs, big-endian
// TIFFs, top-down BMPs, progressive JPEGs, metafiles).
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/classes/streams.h"
#include "platform/gdiplus/codec_io.h"

namespace qd::testing {

using ImageBytes = std::vector<uint8_t>;

inline void PutLE16(ImageBytes& b, uint32_t v) {
  b.push_back(uint8_t(v)), b.push_back(uint8_t(v >> 8));
}
inline void PutLE32(ImageBytes& b, uint32_t v) {
  PutLE16(b, v), PutLE16(b, v >> 16);
}
inline void PutBE16(ImageBytes& b, uint32_t v) {
  b.push_back(uint8_t(v >> 8)), b.push_back(uint8_t(v));
}
inline void PutBE32(ImageBytes& b, uint32_t v) {
  PutBE16(b, v >> 16), PutBE16(b, v);
}
inline void PutText(ImageBytes& b, const char* s) {
  for (; *s; ++s) b.push_back(uint8_t(*s));
}

// A file of a platform encoder: W x H pixels (0xAARRGGBB) of one colour, or of the given ones.
inline ImageBytes EncodedImage(codecs::ImageFormat AFormat, int AWidth, int AHeight, uint32_t AColor,
                               std::vector<uint32_t> APixels = {}) {
  if (APixels.empty()) APixels.assign(size_t(AWidth) * size_t(AHeight), AColor);
  ImageBytes out;
  codecs::Encode(codecs::MakeImage(AWidth, AHeight, std::move(APixels)), AFormat, out);
  return out;
}

// A GIF of 1 x 1 frames alternating black and white, each with the delay (1/100 s) when
// the delay is not negative; a loop count block when ALoops is not negative.
inline ImageBytes AnimatedGif(int AFrames, int ADelay, int ALoops) {
  ImageBytes b;
  PutText(b, "GIF89a");
  PutLE16(b, 1), PutLE16(b, 1);
  b.insert(b.end(), {0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF});
  if (ALoops >= 0) {
    b.insert(b.end(), {0x21, 0xFF, 0x0B});
    PutText(b, "NETSCAPE2.0");
    b.insert(b.end(), {0x03, 0x01});
    PutLE16(b, uint32_t(ALoops));
    b.push_back(0x00);
  }
  for (int i = 0; i < AFrames; ++i) {
    if (ADelay >= 0) {
      b.insert(b.end(), {0x21, 0xF9, 0x04, 0x00});
      PutLE16(b, uint32_t(ADelay));
      b.insert(b.end(), {0x00, 0x00});
    }
    b.insert(b.end(), {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x00});
    // LZW with a minimum code size of 2: clear, the index, end.
    b.insert(b.end(), {0x02, 0x02, uint8_t(i % 2 ? 0x4C : 0x44), 0x01, 0x00});
  }
  b.push_back(0x3B);
  return b;
}

// A TIFF header whose first directory holds the new-subfile type (32-bit), then the width
// and the height as 16-bit values.
inline ImageBytes TiffHeader(bool ABigEndian, uint32_t AWidth, uint32_t AHeight) {
  ImageBytes b;
  auto p16 = [&](uint32_t v) { ABigEndian ? PutBE16(b, v) : PutLE16(b, v); };
  auto p32 = [&](uint32_t v) { ABigEndian ? PutBE32(b, v) : PutLE32(b, v); };
  if (ABigEndian)
    b.insert(b.end(), {'M', 'M', 0x00, 0x2A});
  else
    b.insert(b.end(), {'I', 'I', 0x2A, 0x00});
  p32(8);
  p16(3);
  p16(254), p16(4), p32(1), p32(0);
  p16(256), p16(3), p32(1), p16(AWidth), p16(0);
  p16(257), p16(3), p32(1), p16(AHeight), p16(0);
  p32(0);
  return b;
}

// A BMP header with a 40-byte info header (a negative height is top-down) or the 12-byte
// core header.
inline ImageBytes BmpHeader(bool ACore, int32_t AWidth, int32_t AHeight) {
  ImageBytes b;
  PutText(b, "BM");
  PutLE32(b, 0), PutLE32(b, 0), PutLE32(b, 54);
  if (ACore) {
    PutLE32(b, 12), PutLE16(b, uint32_t(AWidth)), PutLE16(b, uint32_t(AHeight));
  } else {
    PutLE32(b, 40), PutLE32(b, uint32_t(AWidth)), PutLE32(b, uint32_t(AHeight));
  }
  PutLE16(b, 1), PutLE16(b, 24);
  return b;
}

// JPEG segments up to a frame header of the marker (C0 baseline, C2 progressive), after an
// EXIF segment when asked.
inline ImageBytes JpegHeader(uint8_t AFrameMarker, int AWidth, int AHeight, bool AExif) {
  ImageBytes b{0xFF, 0xD8, 0xFF, 0xE0};
  PutBE16(b, 16);
  PutText(b, "JFIF");
  b.insert(b.end(), {0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
  if (AExif) {
    b.insert(b.end(), {0xFF, 0xE1});
    PutBE16(b, 2 + 6 + 8);
    PutText(b, "Exif");
    b.insert(b.end(), {0, 0, 'I', 'I', 0x2A, 0, 8, 0, 0, 0});
  }
  b.insert(b.end(), {0xFF, AFrameMarker});
  PutBE16(b, 11);
  b.push_back(8);
  PutBE16(b, uint32_t(AHeight)), PutBE16(b, uint32_t(AWidth));
  b.insert(b.end(), {1, 1, 0x11, 0});
  b.insert(b.end(), {0xFF, 0xD9});
  return b;
}

// An enhanced metafile header whose frame is AWidth x AHeight pixels at 96 DPI.
inline ImageBytes EmfHeader(int AWidth, int AHeight) {
  ImageBytes b;
  PutLE32(b, 1), PutLE32(b, 108);
  PutLE32(b, 0), PutLE32(b, 0), PutLE32(b, uint32_t(AWidth - 1)), PutLE32(b, uint32_t(AHeight - 1));
  PutLE32(b, 0), PutLE32(b, 0), PutLE32(b, uint32_t(AWidth * 2540 / 96)),
      PutLE32(b, uint32_t(AHeight * 2540 / 96));
  PutText(b, " EMF");
  b.resize(108, 0);
  return b;
}

// A placeable Windows metafile header of AWidth x AHeight pixels at 96 units an inch.
inline ImageBytes WmfHeader(int AWidth, int AHeight) {
  ImageBytes b{0xD7, 0xCD, 0xC6, 0x9A, 0, 0};
  PutLE16(b, 0), PutLE16(b, 0), PutLE16(b, uint32_t(AWidth)), PutLE16(b, uint32_t(AHeight));
  PutLE16(b, 96), PutLE32(b, 0), PutLE16(b, 0);
  b.insert(b.end(), {0x01, 0x00, 0x09, 0x00, 0x00, 0x03});
  return b;
}

inline void WriteBytes(TStream& AStream, const ImageBytes& ABytes) {
  if (!ABytes.empty()) AStream.WriteBuffer(ABytes.data(), int64_t(ABytes.size()));
}

inline ImageBytes StreamBytes(TMemoryStream& AStream) {
  const auto* p = static_cast<const uint8_t*>(AStream.Memory());
  return ImageBytes(p, p + AStream.Size());
}

}  // namespace qd::testing
