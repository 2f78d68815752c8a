#pragma once
// The decoded image model shared by the GDI+ layer and the visual class library's
// graphic classes: frames of 32-bit pixels plus what the file said about itself.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qd::codecs {

// Same numeric values as GDI+'s Status, so the flat API can pass them through.
enum class Status : int32_t {
  Ok = 0,
  GenericError = 1,
  InvalidParameter = 2,  // recognised format, but damaged or truncated data
  OutOfMemory = 3,       // dimensions beyond the limits, or an allocation failed
  NotImplemented = 6,    // recognised, but a variant we do not decode (EMF, WMF, ...)
  Win32Error = 7,
  FileNotFound = 10,
  ValueOverflow = 11,
  AccessDenied = 12,
  UnknownImageFormat = 13,
  PropertyNotFound = 19,
};

enum class ImageFormat : uint8_t { Unknown, MemoryBMP, BMP, EMF, WMF, JPEG, PNG, GIF, TIFF, EXIF, Icon };

// Layout of a Windows GUID.
struct Guid {
  uint32_t Data1 = 0;
  uint16_t Data2 = 0;
  uint16_t Data3 = 0;
  uint8_t Data4[8] = {};
  friend bool operator==(const Guid&, const Guid&) = default;
};

// GDI+ ImageFormat* identifiers ({B96B3CA?-0728-11D3-9D7B-0000F81EF32E}).
Guid RawFormatGuid(ImageFormat format);
// The format of a raw-format identifier; Unknown for anything else.
ImageFormat FormatFromGuid(const Guid& guid);

// GDI+ FrameDimensionTime / FrameDimensionPage.
extern const Guid kFrameDimensionTime;
extern const Guid kFrameDimensionPage;

// What the pixels were in the file. Everything is decoded to 32-bit ARGB regardless.
enum class PixelKind : uint8_t {
  Indexed1,
  Indexed4,  // also 2-bit palettes
  Indexed8,
  Grey8,
  Grey16,
  Rgb555,
  Rgb565,
  Argb1555,
  Rgb24,
  Rgb32,   // 32 bits per pixel, the fourth byte unused
  Argb32,  // any 8-bit-per-channel source with alpha (grey + alpha included)
  Rgb48,
  Argb64,  // 16-bit-per-channel with alpha
  Cmyk32,
};

// The GDI+ PixelFormat constant that GDI+ reports for an image of this kind.
uint32_t GdipPixelFormat(PixelKind kind);
int BitsPerPixel(PixelKind kind);

// GDI+ ImageFlags bits.
enum ImageFlagBits : uint32_t {
  ImageFlagsHasAlpha = 0x0002,
  ImageFlagsHasTranslucent = 0x0004,
  ImageFlagsColorSpaceRGB = 0x0010,
  ImageFlagsColorSpaceCMYK = 0x0020,
  ImageFlagsColorSpaceGRAY = 0x0040,
  ImageFlagsColorSpaceYCBCR = 0x0080,
  ImageFlagsColorSpaceYCCK = 0x0100,
  ImageFlagsHasRealDPI = 0x1000,
  ImageFlagsHasRealPixelSize = 0x2000,
  ImageFlagsReadOnly = 0x10000,
};

// GDI+ property tags and types used by the decoders.
enum PropertyTag : uint32_t {
  PropertyTagOrientation = 0x0112,
  PropertyTagFrameDelay = 0x5100,        // Long[frame count], 1/100 s
  PropertyTagLoopCount = 0x5101,         // Short, 0 = forever
  PropertyTagGlobalPalette = 0x5102,     // Byte[3 * n], RGB triplets
  PropertyTagIndexBackground = 0x5103,   // Byte
  PropertyTagIndexTransparent = 0x5104,  // Byte
  PropertyTagPixelUnit = 0x5110,         // Byte: 1 = metre, 0 = unknown
  PropertyTagPixelPerUnitX = 0x5111,     // Long
  PropertyTagPixelPerUnitY = 0x5112,     // Long
};
enum PropertyTagType : uint16_t {
  PropertyTagTypeByte = 1,
  PropertyTagTypeASCII = 2,
  PropertyTagTypeShort = 3,
  PropertyTagTypeLong = 4,
  PropertyTagTypeRational = 5,
};

// The value part of a GDI+ PropertyItem; multi-byte values are little-endian.
struct PropertyItem {
  uint32_t Id = 0;
  uint16_t Type = 0;
  std::vector<uint8_t> Value;
};

// GDI+ palette flags.
enum PaletteFlagBits : uint32_t { PaletteFlagsHasAlpha = 1, PaletteFlagsGrayScale = 2 };

struct ColorPalette {
  uint32_t Flags = 0;
  std::vector<uint32_t> Entries;  // 0xAARRGGBB
};

// One frame (a GIF frame composed to full size, or a TIFF page).
// Pixels are rows top-down without padding; each is 0xAARRGGBB in host order, i.e. the
// bytes B, G, R, A in memory (GDI+ PixelFormat32bppARGB: straight, not premultiplied).
struct Frame {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<uint32_t> Pixels;

  uint32_t& At(int32_t x, int32_t y) { return Pixels[std::size_t(y) * std::size_t(Width) + std::size_t(x)]; }
  uint32_t At(int32_t x, int32_t y) const {
    return Pixels[std::size_t(y) * std::size_t(Width) + std::size_t(x)];
  }
  uint8_t* Bytes() { return reinterpret_cast<uint8_t*>(Pixels.data()); }
  const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(Pixels.data()); }
  int32_t Stride() const { return Width * 4; }
};

enum class FrameDimension : uint8_t { Page, Time };

struct Image {
  ImageFormat Format = ImageFormat::Unknown;
  PixelKind SourceKind = PixelKind::Argb32;
  uint32_t Flags = 0;  // ImageFlagBits
  double DpiX = 96.0;
  double DpiY = 96.0;
  ColorPalette Palette;  // filled for indexed and 8-bit grey sources
  FrameDimension Dimension = FrameDimension::Page;
  std::vector<Frame> Frames;  // at least one after a successful decode
  std::vector<PropertyItem> Properties;

  int32_t Width() const { return Frames.empty() ? 0 : Frames[0].Width; }
  int32_t Height() const { return Frames.empty() ? 0 : Frames[0].Height; }
  const Guid& DimensionGuid() const;
  const PropertyItem* FindProperty(uint32_t id) const;
};

// What a header probe learns without decoding pixels.
struct ImageInfo {
  ImageFormat Format = ImageFormat::Unknown;
  int32_t Width = 0;
  int32_t Height = 0;
  PixelKind SourceKind = PixelKind::Argb32;
};

// Limits every decoder applies before allocating.
inline constexpr uint64_t kMaxPixels = uint64_t(1) << 28;       // one frame
inline constexpr uint64_t kMaxTotalPixels = uint64_t(1) << 28;  // all frames together
inline constexpr int32_t kMaxDimension = 1 << 20;
inline constexpr uint32_t kMaxFrames = 10000;

}  // namespace qd::codecs
