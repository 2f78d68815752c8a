// PNG through libpng. libpng reports errors by longjmp: the functions that call setjmp
// keep only plain values in their own frame; everything with a destructor lives in the
// caller's job object, so a jump never skips a destructor.
#include "platform/gdiplus/codec_internal.h"

#include <png.h>

#include <cmath>
#include <csetjmp>
#include <cstring>
#include <new>

namespace qd::codecs::detail {

namespace {

// Deflate expands at most about 1032:1; a pixel takes at least one bit of raw data.
constexpr uint64_t kPngPixelsPerByte = 1032 * 8;

PixelKind KindOf(int colorType, int bitDepth) {
  switch (colorType) {
    case PNG_COLOR_TYPE_GRAY:
      if (bitDepth == 1) return PixelKind::Indexed1;
      if (bitDepth < 8) return PixelKind::Indexed4;
      return bitDepth == 8 ? PixelKind::Grey8 : PixelKind::Grey16;
    case PNG_COLOR_TYPE_PALETTE:
      if (bitDepth == 1) return PixelKind::Indexed1;
      return bitDepth < 8 ? PixelKind::Indexed4 : PixelKind::Indexed8;
    case PNG_COLOR_TYPE_RGB:
      return bitDepth == 16 ? PixelKind::Rgb48 : PixelKind::Rgb24;
    default:
      return bitDepth == 16 ? PixelKind::Argb64 : PixelKind::Argb32;
  }
}

struct PngSource {
  const uint8_t* Data = nullptr;
  size_t Size = 0;
  size_t Pos = 0;
};

void ReadFn(png_structp png, png_bytep out, png_size_t n) {
  auto* src = static_cast<PngSource*>(png_get_io_ptr(png));
  if (src->Size - src->Pos < n) png_error(png, "truncated");
  std::memcpy(out, src->Data + src->Pos, n);
  src->Pos += n;
}

void ErrorFn(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}
void WarningFn(png_structp, png_const_charp) {}

struct PngDecodeJob {
  PngSource Source;
  Image* Out = nullptr;
  std::vector<png_bytep> Rows;
  Status Result = Status::InvalidParameter;
};

void ReadPalette(png_structp png, png_infop info, int colorType, int bitDepth, Image& image) {
  png_bytep trans = nullptr;
  int numTrans = 0;
  png_color_16p transColor = nullptr;
  const bool hasTrns = png_get_tRNS(png, info, &trans, &numTrans, &transColor) != 0;
  if (colorType == PNG_COLOR_TYPE_PALETTE) {
    png_colorp plte = nullptr;
    int count = 0;
    if (png_get_PLTE(png, info, &plte, &count)) {
      for (int i = 0; i < count; ++i) {
        const uint32_t a = (hasTrns && trans && i < numTrans) ? trans[i] : 255;
        if (a != 255) image.Palette.Flags |= PaletteFlagsHasAlpha;
        image.Palette.Entries.push_back(Argb(a, plte[i].red, plte[i].green, plte[i].blue));
      }
    }
  } else if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth <= 8) {
    image.Palette = GreyPalette(bitDepth);
    if (hasTrns && transColor && transColor->gray < image.Palette.Entries.size()) {
      image.Palette.Entries[transColor->gray] &= 0x00FFFFFF;
      image.Palette.Flags |= PaletteFlagsHasAlpha;
    }
  }
}

Status DecodePngJob(png_structp png, png_infop info, PngDecodeJob& job) {
  if (setjmp(png_jmpbuf(png))) return job.Result;
  png_set_read_fn(png, &job.Source, ReadFn);
  png_set_user_limits(png, kMaxDimension, kMaxDimension);
  png_read_info(png, info);

  png_uint_32 width = 0, height = 0;
  int bitDepth = 0, colorType = 0, interlace = 0;
  png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, &interlace, nullptr, nullptr);
  const int bitsPerPixel = bitDepth * png_get_channels(png, info);
  const Status sizeOk = CheckFrameSize(width, height, job.Source.Size,
                                       kPngPixelsPerByte / uint64_t(bitsPerPixel > 0 ? bitsPerPixel : 1));
  if (sizeOk != Status::Ok) return sizeOk;

  Image& image = *job.Out;
  image.SourceKind = KindOf(colorType, bitDepth);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
    image.Flags |= ImageFlagsColorSpaceGRAY;
  ReadPalette(png, info, colorType, bitDepth, image);

  png_uint_32 resX = 0, resY = 0;
  int unit = 0;
  if (png_get_pHYs(png, info, &resX, &resY, &unit)) {
    AddPropertyByte(image, PropertyTagPixelUnit, uint8_t(unit));
    AddPropertyLongs(image, PropertyTagPixelPerUnitX, {resX});
    AddPropertyLongs(image, PropertyTagPixelPerUnitY, {resY});
    if (unit == PNG_RESOLUTION_METER && resX > 0 && resY > 0) {
      image.DpiX = resX * 0.0254;
      image.DpiY = resY * 0.0254;
      image.Flags |= ImageFlagsHasRealDPI;
    }
  }

  const bool hasTrns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  if (hasTrns) image.Flags |= ImageFlagsHasAlpha;
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (hasTrns) png_set_tRNS_to_alpha(png);
  if (bitDepth == 16) png_set_scale_16(png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  png_set_bgr(png);
  if (!(colorType & PNG_COLOR_MASK_ALPHA) && !hasTrns) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != size_t(width) * 4) return Status::InvalidParameter;

  image.Frames.emplace_back();
  Frame& frame = image.Frames.back();
  if (AllocFrame(frame, int32_t(width), int32_t(height)) != Status::Ok) return Status::OutOfMemory;
  job.Rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) job.Rows[y] = frame.Bytes() + size_t(y) * width * 4;
  png_read_image(png, job.Rows.data());
  return Status::Ok;
}

struct PngEncodeJob {
  std::vector<uint8_t>* Out = nullptr;
  std::vector<png_bytep> Rows;
  bool OutOfMemory = false;
};

void WriteFn(png_structp png, png_bytep data, png_size_t n) {
  auto* job = static_cast<PngEncodeJob*>(png_get_io_ptr(png));
  try {
    job->Out->insert(job->Out->end(), data, data + n);
  } catch (const std::bad_alloc&) {
    job->OutOfMemory = true;
    png_error(png, "out of memory");
  }
}
void FlushFn(png_structp) {}

Status EncodePngJob(png_structp png, png_infop info, const Image& image, PngEncodeJob& job) {
  if (setjmp(png_jmpbuf(png))) return job.OutOfMemory ? Status::OutOfMemory : Status::GenericError;
  const Frame& frame = image.Frames[0];
  const bool alpha = !AllOpaque(frame);
  png_set_write_fn(png, &job, WriteFn, FlushFn);
  png_set_IHDR(png, info, png_uint_32(frame.Width), png_uint_32(frame.Height), 8,
               alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (image.DpiX > 0 && image.DpiY > 0 && std::isfinite(image.DpiX) && std::isfinite(image.DpiY) &&
      image.DpiX < 1e6 && image.DpiY < 1e6) {
    png_set_pHYs(png, info, png_uint_32(std::lround(image.DpiX / 0.0254)),
                 png_uint_32(std::lround(image.DpiY / 0.0254)), PNG_RESOLUTION_METER);
  }
  png_write_info(png, info);
  png_set_bgr(png);
  if (!alpha) png_set_filler(png, 0, PNG_FILLER_AFTER);  // drops the fourth byte
  png_write_image(png, job.Rows.data());
  png_write_end(png, nullptr);
  return Status::Ok;
}

}  // namespace

Status DecodePng(ByteSpan data, Image& out) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, ErrorFn, WarningFn);
  if (!png) return Status::OutOfMemory;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return Status::OutOfMemory;
  }
  PngDecodeJob job;
  job.Source = {data.data(), data.size(), 0};
  job.Out = &out;
  Status status;
  try {
    status = DecodePngJob(png, info, job);
  } catch (const std::bad_alloc&) {
    status = Status::OutOfMemory;
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return status;
}

Status EncodePng(const Image& image, std::vector<uint8_t>& out) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, ErrorFn, WarningFn);
  if (!png) return Status::OutOfMemory;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return Status::OutOfMemory;
  }
  PngEncodeJob job;
  job.Out = &out;
  Status status;
  try {
    const Frame& frame = image.Frames[0];
    job.Rows.resize(size_t(frame.Height));
    auto* base = const_cast<uint8_t*>(frame.Bytes());  // libpng copies rows before transforming them
    for (int32_t y = 0; y < frame.Height; ++y) job.Rows[size_t(y)] = base + size_t(y) * frame.Width * 4;
    status = EncodePngJob(png, info, image, job);
  } catch (const std::bad_alloc&) {
    status = Status::OutOfMemory;
  }
  png_destroy_write_struct(&png, &info);
  return status;
}

Status ProbePng(ByteSpan d, ImageInfo& info) {
  if (d.size() < 26 || std::memcmp(d.data() + 12, "IHDR", 4) != 0) return Status::InvalidParameter;
  const uint32_t w = Be32(d.data() + 16), h = Be32(d.data() + 20);
  if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF) return Status::InvalidParameter;
  info.Width = int32_t(w);
  info.Height = int32_t(h);
  info.SourceKind = KindOf(d[25], d[24]);
  return Status::Ok;
}

}  // namespace qd::codecs::detail
