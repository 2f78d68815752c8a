#include "platform/display/clipboard_formats.h"

#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/base/strings.h"

namespace qd::display {
namespace {

constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kFileHeaderSize = 14;
// Pictures larger than this are refused rather than allocated.
constexpr int64_t kMaxClipboardPixels = int64_t{1} << 26;

uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

void PutU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// The rows of a packed DIB that PNG can take: 32 or 24 bits a pixel, uncompressed.
struct DibView {
  int width = 0;
  int height = 0;  // always positive
  bool bottomUp = true;
  int bits = 0;
  const uint8_t* pixels = nullptr;
  size_t stride = 0;
};

bool ViewDib(const std::vector<uint8_t>& dib, DibView& v) {
  if (dib.size() < kInfoHeaderSize) return false;
  const uint32_t headerSize = ReadU32(dib.data());
  const auto width = static_cast<int32_t>(ReadU32(dib.data() + 4));
  const auto height = static_cast<int32_t>(ReadU32(dib.data() + 8));
  const int bits = dib[14] | dib[15] << 8;
  const uint32_t compression = ReadU32(dib.data() + 16);
  if (headerSize < kInfoHeaderSize || headerSize > dib.size() || width <= 0 || height == 0 ||
      height == INT32_MIN || (bits != 32 && bits != 24))
    return false;
  size_t offset = headerSize;
  if (compression == 3 && bits == 32) {
    // Only the usual masks: 0x00RRGGBB.
    if (headerSize == kInfoHeaderSize) {
      if (dib.size() < offset + 12) return false;
      if (ReadU32(dib.data() + offset) != 0xFF0000 || ReadU32(dib.data() + offset + 4) != 0xFF00 ||
          ReadU32(dib.data() + offset + 8) != 0xFF)
        return false;
      offset += 12;
    }
  } else if (compression != 0) {
    return false;
  }
  v.width = width;
  v.height = std::abs(height);
  v.bottomUp = height > 0;
  v.bits = bits;
  if (int64_t{v.width} * v.height > kMaxClipboardPixels) return false;
  v.stride = static_cast<size_t>((int64_t{width} * bits + 31) / 32 * 4);
  if (dib.size() - offset < v.stride * static_cast<size_t>(v.height)) return false;
  v.pixels = dib.data() + offset;
  return true;
}

// GDI leaves alpha 0 everywhere; a picture with some alpha has real transparency.
bool AnyAlpha(const DibView& v) {
  if (v.bits != 32) return false;
  for (int y = 0; y < v.height; ++y) {
    const uint8_t* row = v.pixels + v.stride * static_cast<size_t>(y);
    for (int x = 0; x < v.width; ++x)
      if (row[x * 4 + 3]) return true;
  }
  return false;
}

void AppendToString(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void FlushNothing(png_structp) {}

struct PngInput {
  const uint8_t* data;
  size_t size;
  size_t offset = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* in = static_cast<PngInput*>(png_get_io_ptr(png));
  if (in->size - in->offset < length) png_error(png, "truncated");
  std::memcpy(out, in->data + in->offset, length);
  in->offset += length;
}

}  // namespace

std::string TextToDesktop(const String& text) {
  String lf;
  lf.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    lf.push_back(text[i]);
  }
  return StringToUtf8(lf);
}

String TextFromDesktop(std::string_view bytes, bool latin1) {
  bytes = bytes.substr(0, std::min(bytes.size(), bytes.find('\0')));
  String raw;
  if (latin1) {
    for (char c : bytes) raw.push_back(static_cast<unsigned char>(c));
  } else {
    raw = Utf8ToString(bytes);
  }
  String out;
  out.reserve(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == u'\n' && (i == 0 || raw[i - 1] != u'\r')) out.push_back(u'\r');
    out.push_back(raw[i]);
  }
  return out;
}

std::string DibToPng(const std::vector<uint8_t>& dib) {
  DibView v;
  if (!ViewDib(dib, v)) return {};
  const bool anyAlpha = AnyAlpha(v);
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return {};
  png_infop info = png_create_info_struct(png);
  std::vector<uint8_t> row(static_cast<size_t>(v.width) * 4);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return {};
  }
  png_set_write_fn(png, &out, &AppendToString, &FlushNothing);
  png_set_IHDR(png, info, static_cast<png_uint_32>(v.width), static_cast<png_uint_32>(v.height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const size_t step = static_cast<size_t>(v.bits / 8);
  for (int y = 0; y < v.height; ++y) {
    const int source = v.bottomUp ? v.height - 1 - y : y;
    const uint8_t* in = v.pixels + v.stride * static_cast<size_t>(source);
    for (int x = 0; x < v.width; ++x) {
      const uint8_t* p = in + step * static_cast<size_t>(x);
      uint8_t* o = &row[static_cast<size_t>(x) * 4];
      o[0] = p[2];
      o[1] = p[1];
      o[2] = p[0];
      o[3] = anyAlpha ? p[3] : 255;
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::vector<uint8_t> PngToDib(const uint8_t* data, size_t size) {
  if (!data || size < 8 || png_sig_cmp(data, 0, 8) != 0) return {};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return {};
  png_infop info = png_create_info_struct(png);
  PngInput input{data, size};
  std::vector<uint8_t> dib;
  std::vector<uint8_t> rows;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    return {};
  }
  png_set_read_fn(png, &input, &ReadFromMemory);
  png_set_user_limits(png, 1 << 15, 1 << 15);
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
  if (int64_t{width} * height > kMaxClipboardPixels) png_error(png, "too large");
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_bgr(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const size_t stride = static_cast<size_t>(width) * 4;
  if (png_get_rowbytes(png, info) != stride) png_error(png, "unexpected layout");
  rows.resize(stride * height);
  for (int pass = 0; pass < passes; ++pass)
    for (png_uint_32 y = 0; y < height; ++y) png_read_row(png, rows.data() + stride * y, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  dib.assign(kInfoHeaderSize + rows.size(), 0);
  PutU32(dib.data(), kInfoHeaderSize);
  PutU32(dib.data() + 4, width);
  PutU32(dib.data() + 8, height);
  dib[12] = 1;
  dib[14] = 32;
  PutU32(dib.data() + 20, static_cast<uint32_t>(rows.size()));
  for (png_uint_32 y = 0; y < height; ++y)
    std::memcpy(dib.data() + kInfoHeaderSize + stride * (height - 1 - y), rows.data() + stride * y, stride);
  return dib;
}

std::string DibToBmpFile(const std::vector<uint8_t>& dib) {
  if (dib.size() < kInfoHeaderSize) return {};
  const uint32_t headerSize = ReadU32(dib.data());
  if (headerSize < kInfoHeaderSize || headerSize > dib.size() || dib.size() > UINT32_MAX - kFileHeaderSize)
    return {};
  // The pixels follow the header and the colour table (or the three masks).
  const int bits = dib[14] | dib[15] << 8;
  const uint32_t compression = ReadU32(dib.data() + 16);
  uint64_t colours = ReadU32(dib.data() + 32);
  if (!colours && bits <= 8) colours = uint64_t{1} << bits;
  if (compression == 3 && headerSize == kInfoHeaderSize) colours = 3;
  const uint64_t offset = kFileHeaderSize + headerSize + colours * 4;
  if (offset > kFileHeaderSize + dib.size()) return {};
  std::string file(kFileHeaderSize, '\0');
  file[0] = 'B';
  file[1] = 'M';
  PutU32(reinterpret_cast<uint8_t*>(file.data()) + 2, static_cast<uint32_t>(kFileHeaderSize + dib.size()));
  PutU32(reinterpret_cast<uint8_t*>(file.data()) + 10, static_cast<uint32_t>(offset));
  file.append(reinterpret_cast<const char*>(dib.data()), dib.size());
  return file;
}

std::vector<uint8_t> BmpFileToDib(const uint8_t* data, size_t size) {
  if (!data || size < kFileHeaderSize + kInfoHeaderSize || data[0] != 'B' || data[1] != 'M') return {};
  const uint32_t headerSize = ReadU32(data + kFileHeaderSize);
  if (headerSize < kInfoHeaderSize || headerSize > size - kFileHeaderSize) return {};
  const uint8_t* header = data + kFileHeaderSize;
  const int bits = header[14] | header[15] << 8;
  uint64_t colours = ReadU32(header + 32);
  if (!colours && bits <= 8) colours = uint64_t{1} << bits;
  if (ReadU32(header + 16) == 3 && headerSize == kInfoHeaderSize) colours = 3;
  const uint64_t packed = kFileHeaderSize + headerSize + colours * 4;
  const uint64_t offset = ReadU32(data + 10);
  if (packed > size) return {};
  // A packed DIB has its pixels right after the colours; the file may leave a gap.
  std::vector<uint8_t> dib(data + kFileHeaderSize, data + packed);
  const uint64_t pixels = offset >= packed && offset <= size ? offset : packed;
  dib.insert(dib.end(), data + pixels, data + size);
  return dib;
}

}  // namespace qd::display
