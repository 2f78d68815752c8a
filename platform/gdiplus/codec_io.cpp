#include "platform/gdiplus/codec_io.h"
#include "platform/gdiplus/codec_internal.h"
#include "platform/base/strings.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <sys/stat.h>

namespace qd::codecs {

using namespace detail;

namespace {

bool StartsWith(ByteSpan d, std::initializer_list<uint8_t> sig) {
  if (d.size() < sig.size()) return false;
  return std::memcmp(d.data(), sig.begin(), sig.size()) == 0;
}

bool IsEmf(ByteSpan d) {
  // EMR_HEADER record first, with the " EMF" signature at offset 40.
  return d.size() >= 44 && Le32(d.data()) == 1 && Le32(d.data() + 40) == 0x464D4520;
}

bool IsWmf(ByteSpan d) {
  if (StartsWith(d, {0xD7, 0xCD, 0xC6, 0x9A})) return true;  // placeable header
  if (d.size() < 18) return false;
  const uint16_t type = Le16(d.data()), headerWords = Le16(d.data() + 2), version = Le16(d.data() + 4);
  return (type == 1 || type == 2) && headerWords == 9 && (version == 0x0100 || version == 0x0300);
}

}  // namespace

ImageFormat DetectFormat(ByteSpan d) {
  if (StartsWith(d, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) return ImageFormat::PNG;
  if (StartsWith(d, {0xFF, 0xD8, 0xFF})) return ImageFormat::JPEG;
  if (StartsWith(d, {'G', 'I', 'F', '8', '7', 'a'}) || StartsWith(d, {'G', 'I', 'F', '8', '9', 'a'}))
    return ImageFormat::GIF;
  if (StartsWith(d, {'I', 'I', 0x2A, 0x00}) || StartsWith(d, {'M', 'M', 0x00, 0x2A}))
    return ImageFormat::TIFF;
  if (StartsWith(d, {'B', 'M'})) return ImageFormat::BMP;
  // Icons (type 1) and cursors (type 2) with at least one entry.
  if (d.size() >= 6 && d[0] == 0 && d[1] == 0 && (d[2] == 1 || d[2] == 2) && d[3] == 0 &&
      Le16(d.data() + 4) > 0)
    return ImageFormat::Icon;
  if (IsEmf(d)) return ImageFormat::EMF;
  if (IsWmf(d)) return ImageFormat::WMF;
  return ImageFormat::Unknown;
}

Status ProbeHeader(ByteSpan data, ImageInfo& info) {
  info = ImageInfo{};
  const ImageFormat format = DetectFormat(data);
  Status status = Status::UnknownImageFormat;
  switch (format) {
    case ImageFormat::PNG:
      status = ProbePng(data, info);
      break;
    case ImageFormat::JPEG:
      status = ProbeJpeg(data, info);
      break;
    case ImageFormat::GIF:
      status = ProbeGif(data, info);
      break;
    case ImageFormat::TIFF:
      status = ProbeTiff(data, info);
      break;
    case ImageFormat::BMP:
      status = ProbeBmp(data, info);
      break;
    case ImageFormat::Icon:
      status = ProbeIco(data, info);
      break;
    case ImageFormat::EMF:
    case ImageFormat::WMF:
      status = Status::NotImplemented;
      break;
    default:
      break;
  }
  if (status != Status::Ok) {
    info = ImageInfo{};
  } else if (info.Width <= 0 || info.Height <= 0) {
    info = ImageInfo{};
    status = Status::InvalidParameter;
  }
  info.Format = format;
  return status;
}

Status Decode(ByteSpan data, Image& out, const DecodeOptions& options) {
  out = Image{};
  const ImageFormat format = DetectFormat(data);
  Status status = Status::UnknownImageFormat;
  try {
    switch (format) {
      case ImageFormat::PNG:
        status = DecodePng(data, out);
        break;
      case ImageFormat::JPEG:
        status = DecodeJpeg(data, out, options.MinWidth, options.MinHeight, options.ExactSize);
        break;
      case ImageFormat::GIF:
        status = DecodeGif(data, out, options.AllFrames);
        break;
      case ImageFormat::TIFF:
        status = DecodeTiff(data, out, options.AllFrames);
        break;
      case ImageFormat::BMP:
        status = DecodeBmp(data, out);
        break;
      case ImageFormat::Icon:
        status = DecodeIco(data, out, options);
        break;
      case ImageFormat::EMF:
      case ImageFormat::WMF:
        status = Status::NotImplemented;
        break;
      default:
        break;
    }
  } catch (const std::bad_alloc&) {
    status = Status::OutOfMemory;
  }
  if (status == Status::Ok && out.Frames.empty()) status = Status::InvalidParameter;
  if (status != Status::Ok) {
    out = Image{};
    return status;
  }
  out.Format = format;
  FinishImage(out);
  return Status::Ok;
}

Status DecodeFile(const String& path, Image& out, const DecodeOptions& options) {
  out = Image{};
  const std::string name = StringToUtf8(path);
  if (name.empty()) return Status::InvalidParameter;
  std::FILE* f = std::fopen(name.c_str(), "rb");
  if (!f) {
    switch (errno) {
      case ENOENT:
      case ENOTDIR:
        return Status::FileNotFound;
      case EACCES:
      case EPERM:
        return Status::AccessDenied;
      default:
        return Status::Win32Error;
    }
  }
  struct stat st {};
  if (fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) {
    std::fclose(f);
    return S_ISDIR(st.st_mode) ? Status::AccessDenied : Status::Win32Error;
  }
  // Image files beyond this are not something a decoder here could hold decoded anyway.
  constexpr uint64_t kMaxFileSize = uint64_t(1) << 30;
  if (uint64_t(st.st_size) > kMaxFileSize) {
    std::fclose(f);
    return Status::OutOfMemory;
  }
  std::vector<uint8_t> bytes;
  try {
    bytes.resize(size_t(st.st_size));
  } catch (const std::bad_alloc&) {
    std::fclose(f);
    return Status::OutOfMemory;
  }
  const size_t got = bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  if (got != bytes.size()) return Status::Win32Error;
  return Decode(bytes, out, options);
}

Status Encode(const Image& image, ImageFormat format, std::vector<uint8_t>& out,
              const EncodeOptions& options) {
  out.clear();
  if (image.Frames.empty()) return Status::InvalidParameter;
  for (const Frame& f : image.Frames) {
    if (f.Width <= 0 || f.Height <= 0 || f.Pixels.size() != size_t(f.Width) * size_t(f.Height))
      return Status::InvalidParameter;
  }
  Status status = Status::NotImplemented;
  try {
    switch (format) {
      case ImageFormat::PNG:
        status = EncodePng(image, out);
        break;
      case ImageFormat::JPEG:
        if (options.Quality < 0 || options.Quality > 100) return Status::InvalidParameter;
        status = EncodeJpeg(image, options.Quality, out);
        break;
      case ImageFormat::BMP:
      case ImageFormat::MemoryBMP:
        if (options.BmpBitCount != 0 && options.BmpBitCount != 24 && options.BmpBitCount != 32)
          return Status::InvalidParameter;
        status = EncodeBmp(image, options.BmpBitCount, out);
        break;
      case ImageFormat::GIF:
        status = EncodeGif(image, out);
        break;
      case ImageFormat::TIFF:
        status = EncodeTiff(image, options.Tiff, out);
        break;
      default:
        break;
    }
  } catch (const std::bad_alloc&) {
    status = Status::OutOfMemory;
  }
  if (status != Status::Ok) out.clear();
  return status;
}

}  // namespace qd::codecs
