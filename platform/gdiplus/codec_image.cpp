#include "platform/gdiplus/codec_image.h"
#include "platform/gdiplus/codec_internal.h"

#include <algorithm>
#include <new>

namespace qd::codecs {

namespace {

constexpr Guid FormatGuid(uint32_t data1) {
  return Guid{data1, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
}

struct FormatGuidEntry {
  ImageFormat Format;
  uint32_t Data1;
};
constexpr FormatGuidEntry kFormatGuids[] = {
    {ImageFormat::MemoryBMP, 0xB96B3CAA}, {ImageFormat::BMP, 0xB96B3CAB},  {ImageFormat::EMF, 0xB96B3CAC},
    {ImageFormat::WMF, 0xB96B3CAD},       {ImageFormat::JPEG, 0xB96B3CAE}, {ImageFormat::PNG, 0xB96B3CAF},
    {ImageFormat::GIF, 0xB96B3CB0},       {ImageFormat::TIFF, 0xB96B3CB1}, {ImageFormat::EXIF, 0xB96B3CB2},
    {ImageFormat::Icon, 0xB96B3CB5},
};
constexpr uint32_t kUndefinedFormat = 0xB96B3CA9;

}  // namespace

const Guid kFrameDimensionTime{0x6AEDBD6D, 0x3FB5, 0x418A, {0x83, 0xA6, 0x7F, 0x45, 0x22, 0x9D, 0xC8, 0x72}};
const Guid kFrameDimensionPage{0x7462DC86, 0x6180, 0x4C7E, {0x8E, 0x3F, 0xEE, 0x73, 0x33, 0xA7, 0xA4, 0x83}};

Guid RawFormatGuid(ImageFormat format) {
  for (const auto& e : kFormatGuids)
    if (e.Format == format) return FormatGuid(e.Data1);
  return FormatGuid(kUndefinedFormat);
}

ImageFormat FormatFromGuid(const Guid& guid) {
  for (const auto& e : kFormatGuids)
    if (FormatGuid(e.Data1) == guid) return e.Format;
  return ImageFormat::Unknown;
}

uint32_t GdipPixelFormat(PixelKind kind) {
  switch (kind) {
    case PixelKind::Indexed1:
      return 0x00030101;
    case PixelKind::Indexed4:
      return 0x00030402;
    case PixelKind::Indexed8:
    case PixelKind::Grey8:
      return 0x00030803;  // grey images come as 8bpp indexed with a grey palette
    case PixelKind::Grey16:
      return 0x00101004;
    case PixelKind::Rgb555:
      return 0x00021005;
    case PixelKind::Rgb565:
      return 0x00021006;
    case PixelKind::Argb1555:
      return 0x00061007;
    case PixelKind::Rgb24:
      return 0x00021808;
    case PixelKind::Rgb32:
      return 0x00022009;
    case PixelKind::Argb32:
      return 0x0026200A;
    case PixelKind::Rgb48:
      return 0x0010300C;
    case PixelKind::Argb64:
      return 0x0034400D;
    case PixelKind::Cmyk32:
      return 0x0000200F;
  }
  return 0x0026200A;
}

int BitsPerPixel(PixelKind kind) {
  switch (kind) {
    case PixelKind::Indexed1:
      return 1;
    case PixelKind::Indexed4:
      return 4;
    case PixelKind::Indexed8:
    case PixelKind::Grey8:
      return 8;
    case PixelKind::Grey16:
    case PixelKind::Rgb555:
    case PixelKind::Rgb565:
    case PixelKind::Argb1555:
      return 16;
    case PixelKind::Rgb24:
      return 24;
    case PixelKind::Rgb32:
    case PixelKind::Argb32:
    case PixelKind::Cmyk32:
      return 32;
    case PixelKind::Rgb48:
      return 48;
    case PixelKind::Argb64:
      return 64;
  }
  return 32;
}

const Guid& Image::DimensionGuid() const {
  return Dimension == FrameDimension::Time ? kFrameDimensionTime : kFrameDimensionPage;
}

const PropertyItem* Image::FindProperty(uint32_t id) const {
  for (const auto& p : Properties)
    if (p.Id == id) return &p;
  return nullptr;
}

Image MakeImage(int32_t width, int32_t height, std::vector<uint32_t> pixels, double dpiX, double dpiY) {
  Image image;
  image.Format = ImageFormat::MemoryBMP;
  image.SourceKind = PixelKind::Argb32;
  image.DpiX = dpiX;
  image.DpiY = dpiY;
  Frame frame;
  frame.Width = width;
  frame.Height = height;
  frame.Pixels = std::move(pixels);
  image.Frames.push_back(std::move(frame));
  detail::FinishImage(image);
  return image;
}

namespace detail {

Status CheckFrameSize(int64_t width, int64_t height, size_t dataBytes, uint64_t pixelsPerByte) {
  if (width <= 0 || height <= 0) return Status::InvalidParameter;
  if (width > kMaxDimension || height > kMaxDimension) return Status::OutOfMemory;
  const uint64_t pixels = uint64_t(width) * uint64_t(height);
  if (pixels > kMaxPixels) return Status::OutOfMemory;
  // Up to a megapixel is allowed whatever the data size: tiny files of a flat colour are legitimate.
  constexpr uint64_t kAllowance = uint64_t(1) << 20;
  if (pixelsPerByte != 0 && pixels > kAllowance && pixels / pixelsPerByte > dataBytes)
    return Status::InvalidParameter;
  return Status::Ok;
}

Status AllocFrame(Frame& frame, int32_t width, int32_t height, uint32_t fill) {
  try {
    frame.Pixels.assign(size_t(width) * size_t(height), fill);
  } catch (const std::bad_alloc&) {
    frame.Pixels.clear();
    return Status::OutOfMemory;
  }
  frame.Width = width;
  frame.Height = height;
  return Status::Ok;
}

void AddProperty(Image& image, uint32_t id, uint16_t type, const void* data, size_t size) {
  PropertyItem item;
  item.Id = id;
  item.Type = type;
  item.Value.assign(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
  image.Properties.push_back(std::move(item));
}

void AddPropertyShort(Image& image, uint32_t id, uint16_t value) {
  const uint8_t b[2] = {uint8_t(value), uint8_t(value >> 8)};
  AddProperty(image, id, PropertyTagTypeShort, b, 2);
}

void AddPropertyByte(Image& image, uint32_t id, uint8_t value) {
  AddProperty(image, id, PropertyTagTypeByte, &value, 1);
}

void AddPropertyLongs(Image& image, uint32_t id, const std::vector<uint32_t>& values) {
  std::vector<uint8_t> bytes;
  bytes.reserve(values.size() * 4);
  for (uint32_t v : values) PutLe32(bytes, v);
  AddProperty(image, id, PropertyTagTypeLong, bytes.data(), bytes.size());
}

void FinishImage(Image& image) {
  image.Flags |= ImageFlagsHasRealPixelSize;
  if (image.Format != ImageFormat::MemoryBMP) image.Flags |= ImageFlagsReadOnly;
  const bool paletteAlpha = (image.Palette.Flags & PaletteFlagsHasAlpha) != 0;
  switch (image.SourceKind) {
    case PixelKind::Argb32:
    case PixelKind::Argb64:
      image.Flags |= ImageFlagsHasAlpha | ImageFlagsHasTranslucent;
      break;
    case PixelKind::Argb1555:
      image.Flags |= ImageFlagsHasAlpha;
      break;
    default:
      if (paletteAlpha) image.Flags |= ImageFlagsHasAlpha;
      break;
  }
  if ((image.Flags & (ImageFlagsColorSpaceCMYK | ImageFlagsColorSpaceGRAY | ImageFlagsColorSpaceYCBCR |
                      ImageFlagsColorSpaceYCCK)) == 0)
    image.Flags |= ImageFlagsColorSpaceRGB;
}

ColorPalette GreyPalette(int bits) {
  ColorPalette p;
  p.Flags = PaletteFlagsGrayScale;
  const int n = 1 << bits;
  for (int i = 0; i < n; ++i) {
    const uint32_t v = uint32_t(i * 255 / (n - 1));
    p.Entries.push_back(Argb(255, v, v, v));
  }
  return p;
}

bool TiffEntryNumber(ByteSpan tiff, bool bigEndian, const TiffEntry& e, uint32_t& out) {
  if (e.Count < 1) return false;
  if (e.Type == 3 || e.Type == 4) {
    if (e.Type == 3 && e.Count > 1) {
      // The first of several SHORTs is still inside the field when there are two.
      if (e.Count > 2) return false;
      out = e.Value;
      out = bigEndian ? (out >> 16) : (out & 0xFFFF);
      return true;
    }
    if (e.Type == 4 && e.Count > 1) return false;
    out = e.Value;
    return true;
  }
  return false;
}

bool TiffEntryRational(ByteSpan tiff, bool bigEndian, const TiffEntry& e, double& out) {
  if (e.Type != 5 || e.Count < 1) return false;
  if (e.Value > tiff.size() || tiff.size() - e.Value < 8) return false;
  const uint8_t* p = tiff.data() + e.Value;
  const uint32_t num = bigEndian ? Be32(p) : Le32(p);
  const uint32_t den = bigEndian ? Be32(p + 4) : Le32(p + 4);
  if (den == 0) return false;
  out = double(num) / double(den);
  return true;
}

bool AllOpaque(const Frame& frame) {
  return std::all_of(frame.Pixels.begin(), frame.Pixels.end(), [](uint32_t p) { return (p >> 24) == 0xFF; });
}

}  // namespace detail
}  // namespace qd::codecs
