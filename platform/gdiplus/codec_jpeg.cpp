// JPEG through libjpeg-turbo. libjpeg reports errors by longjmp: the functions that call
// setjmp keep only plain values in their own frame; objects with destructors live in the
// caller's job object, so a jump never skips a destructor.
#include "platform/gdiplus/codec_internal.h"

#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>
// jpeglib.h's TRUE and FALSE macros would hide the constants of platform/os/wintypes.h.
#undef TRUE
#undef FALSE

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstring>
#include <memory>
#include <new>

namespace qd::codecs::detail {

namespace {

// With Huffman coding every 8x8 block costs at least a bit; arithmetic coding can do
// better, hence the margin.
constexpr uint64_t kJpegPixelsPerByte = 4096;
// Progressive files with absurd numbers of scans take unbounded time to decode.
constexpr int kMaxScans = 500;

struct JpegError {
  jpeg_error_mgr Pub;
  jmp_buf Jump;
};

void ErrorExit(j_common_ptr cinfo) {
  longjmp(reinterpret_cast<JpegError*>(cinfo->err)->Jump, 1);
}
void EmitMessage(j_common_ptr, int) {}
void OutputMessage(j_common_ptr) {}

void InitError(JpegError& err) {
  jpeg_std_error(&err.Pub);
  err.Pub.error_exit = ErrorExit;
  err.Pub.emit_message = EmitMessage;
  err.Pub.output_message = OutputMessage;
}

void ProgressFn(j_common_ptr cinfo) {
  if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
    cinfo->err->error_exit(cinfo);
}

uint8_t Mul255(uint32_t a, uint32_t b) {
  const uint32_t t = a * b + 128;
  return uint8_t((t + (t >> 8)) >> 8);
}

// Resolution and orientation from an EXIF block ("Exif\0\0" and a TIFF structure).
void ReadExif(ByteSpan app1, Image& image, bool needDpi) {
  if (app1.size() < 14 || std::memcmp(app1.data(), "Exif\0\0", 6) != 0) return;
  const ByteSpan tiff = app1.subspan(6);
  bool big;
  if (tiff[0] == 'I' && tiff[1] == 'I')
    big = false;
  else if (tiff[0] == 'M' && tiff[1] == 'M')
    big = true;
  else
    return;
  const uint32_t ifd = big ? Be32(tiff.data() + 4) : Le32(tiff.data() + 4);
  double resX = 0, resY = 0;
  uint32_t unit = 2, orientation = 0;
  ForEachTiffEntry(tiff, big, ifd, [&](const TiffEntry& e) {
    uint32_t n = 0;
    switch (e.Tag) {
      case 0x0112:
        if (TiffEntryNumber(tiff, big, e, n)) orientation = n;
        break;
      case 0x011A:
        TiffEntryRational(tiff, big, e, resX);
        break;
      case 0x011B:
        TiffEntryRational(tiff, big, e, resY);
        break;
      case 0x0128:
        if (TiffEntryNumber(tiff, big, e, n)) unit = n;
        break;
    }
    return true;
  });
  if (orientation >= 1 && orientation <= 8)
    AddPropertyShort(image, PropertyTagOrientation, uint16_t(orientation));
  if (needDpi && resX > 0 && resY > 0 && resX < 1e6 && resY < 1e6 && (unit == 2 || unit == 3)) {
    const double scale = unit == 3 ? 2.54 : 1.0;
    image.DpiX = resX * scale;
    image.DpiY = resY * scale;
    image.Flags |= ImageFlagsHasRealDPI;
  }
}

struct JpegDecodeJob {
  JpegError Err;
  jpeg_progress_mgr Progress;
  jpeg_decompress_struct Cinfo;
  ByteSpan Data;
  Image* Out = nullptr;
  int32_t MinWidth = 0, MinHeight = 0;
  bool ExactSize = false;
  std::vector<uint8_t> Row;  // CMYK scanlines
  Status Result = Status::InvalidParameter;
};

// Reads the rows and averages each block of them into one pixel of a MinWidth x MinHeight
// frame: every source row and column belongs to exactly one output row and column.
Status ReadJpegAveraged(JpegDecodeJob& job, Frame& frame, JDIMENSION width, JDIMENSION height) {
  j_decompress_ptr cinfo = &job.Cinfo;
  const int32_t outW = job.MinWidth, outH = job.MinHeight;
  if (AllocFrame(frame, outW, outH) != Status::Ok) return Status::OutOfMemory;
  std::vector<uint32_t> column(width), columnCount(size_t(outW), 0), sums(size_t(outW) * 4, 0);
  for (JDIMENSION x = 0; x < width; ++x) {
    column[x] = uint32_t(uint64_t(x) * uint64_t(outW) / width);
    ++columnCount[column[x]];
  }
  job.Row.resize(size_t(width) * 4);
  uint32_t rows = 0;
  while (cinfo->output_scanline < height) {
    const JDIMENSION y = cinfo->output_scanline;
    JSAMPROW row = job.Row.data();
    if (jpeg_read_scanlines(cinfo, &row, 1) != 1) return Status::InvalidParameter;
    for (JDIMENSION x = 0; x < width; ++x) {
      uint32_t* s = &sums[size_t(column[x]) * 4];
      const uint8_t* p = row + size_t(x) * 4;
      s[0] += p[0], s[1] += p[1], s[2] += p[2], s[3] += p[3];
    }
    ++rows;
    const uint64_t outY = uint64_t(y) * uint64_t(outH) / height;
    if (y + 1 == height || uint64_t(y + 1) * uint64_t(outH) / height != outY) {
      uint32_t* dst = frame.Pixels.data() + size_t(outY) * size_t(outW);
      for (int32_t x = 0; x < outW; ++x) {
        const uint32_t n = columnCount[size_t(x)] * rows;
        const uint32_t* s = &sums[size_t(x) * 4];
        dst[x] = ((s[3] + n / 2) / n) << 24 | ((s[2] + n / 2) / n) << 16 | ((s[1] + n / 2) / n) << 8 |
                 ((s[0] + n / 2) / n);
      }
      std::fill(sums.begin(), sums.end(), 0);
      rows = 0;
    }
  }
  return Status::Ok;
}

Status DecodeJpegJob(JpegDecodeJob& job) {
  j_decompress_ptr cinfo = &job.Cinfo;
  if (setjmp(job.Err.Jump)) return job.Result;
  jpeg_create_decompress(cinfo);
  job.Progress.progress_monitor = ProgressFn;
  cinfo->progress = &job.Progress;
  jpeg_mem_src(cinfo, job.Data.data(), static_cast<unsigned long>(job.Data.size()));
  jpeg_save_markers(cinfo, JPEG_APP0 + 1, 0xFFFF);
  if (jpeg_read_header(cinfo, true) != JPEG_HEADER_OK) return Status::InvalidParameter;

  const Status sizeOk =
      CheckFrameSize(cinfo->image_width, cinfo->image_height, job.Data.size(), kJpegPixelsPerByte);
  if (sizeOk != Status::Ok) return sizeOk;

  Image& image = *job.Out;
  bool cmyk = false;
  switch (cinfo->jpeg_color_space) {
    case JCS_GRAYSCALE:
      image.SourceKind = PixelKind::Grey8;
      image.Flags |= ImageFlagsColorSpaceGRAY;
      image.Palette = GreyPalette(8);
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      cmyk = true;
      image.SourceKind = PixelKind::Cmyk32;
      image.Flags |=
          cinfo->jpeg_color_space == JCS_CMYK ? ImageFlagsColorSpaceCMYK : ImageFlagsColorSpaceYCCK;
      break;
    case JCS_YCbCr:
      image.SourceKind = PixelKind::Rgb24;
      image.Flags |= ImageFlagsColorSpaceYCBCR;
      break;
    default:
      image.SourceKind = PixelKind::Rgb24;
      break;
  }
  cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;

  if (cinfo->saw_JFIF_marker && (cinfo->density_unit == 1 || cinfo->density_unit == 2) &&
      cinfo->X_density > 0 && cinfo->Y_density > 0) {
    const double scale = cinfo->density_unit == 2 ? 2.54 : 1.0;
    image.DpiX = cinfo->X_density * scale;
    image.DpiY = cinfo->Y_density * scale;
    image.Flags |= ImageFlagsHasRealDPI;
  }
  for (jpeg_saved_marker_ptr m = cinfo->marker_list; m; m = m->next) {
    if (m->marker == JPEG_APP0 + 1)
      ReadExif(ByteSpan(m->data, m->data_length), image, (image.Flags & ImageFlagsHasRealDPI) == 0);
  }

  // A preview: the smallest DCT scale whose result still covers the requested size.
  JDIMENSION denom = 1;
  if (job.MinWidth > 0 && job.MinHeight > 0)
    for (JDIMENSION d : {8u, 4u, 2u})
      if ((cinfo->image_width + d - 1) / d >= JDIMENSION(job.MinWidth) &&
          (cinfo->image_height + d - 1) / d >= JDIMENSION(job.MinHeight)) {
        denom = d;
        break;
      }
  cinfo->scale_num = 1;
  cinfo->scale_denom = denom;

  jpeg_start_decompress(cinfo);
  const JDIMENSION width = cinfo->output_width, height = cinfo->output_height;
  if (width != (cinfo->image_width + denom - 1) / denom ||
      height != (cinfo->image_height + denom - 1) / denom)
    return Status::InvalidParameter;
  if (cmyk && cinfo->output_components != 4) return Status::InvalidParameter;
  image.Frames.emplace_back();
  Frame& frame = image.Frames.back();
  if (!cmyk && job.ExactSize && denom > 1 && JDIMENSION(job.MinWidth) <= width &&
      JDIMENSION(job.MinHeight) <= height)
    return ReadJpegAveraged(job, frame, width, height);
  if (AllocFrame(frame, int32_t(width), int32_t(height)) != Status::Ok) return Status::OutOfMemory;

  if (!cmyk) {
    JSAMPROW rows[8];
    while (cinfo->output_scanline < height) {
      const JDIMENSION y = cinfo->output_scanline;
      const JDIMENSION n = std::min<JDIMENSION>(8, height - y);
      for (JDIMENSION i = 0; i < n; ++i) rows[i] = frame.Bytes() + size_t(y + i) * width * 4;
      if (jpeg_read_scanlines(cinfo, rows, n) == 0) return Status::InvalidParameter;
    }
  } else {
    // Adobe's files store inverted inks (255 = no ink); others store plain ones.
    const bool inverted = cinfo->saw_Adobe_marker;
    job.Row.resize(size_t(width) * 4);
    while (cinfo->output_scanline < height) {
      const JDIMENSION y = cinfo->output_scanline;
      JSAMPROW row = job.Row.data();
      if (jpeg_read_scanlines(cinfo, &row, 1) != 1) return Status::InvalidParameter;
      uint32_t* dst = frame.Pixels.data() + size_t(y) * width;
      for (JDIMENSION x = 0; x < width; ++x) {
        uint32_t c = row[x * 4], m = row[x * 4 + 1], ye = row[x * 4 + 2], k = row[x * 4 + 3];
        if (!inverted) {
          c = 255 - c;
          m = 255 - m;
          ye = 255 - ye;
          k = 255 - k;
        }
        dst[x] = Argb(255, Mul255(c, k), Mul255(m, k), Mul255(ye, k));
      }
    }
  }
  return Status::Ok;
}

struct JpegEncodeJob;
struct JpegDestination {
  jpeg_destination_mgr Pub;  // first, so libjpeg's pointer is ours
  JpegEncodeJob* Job;
};

struct JpegEncodeJob {
  JpegError Err;
  jpeg_compress_struct Cinfo;
  JpegDestination Dest;
  std::vector<uint8_t>* Out = nullptr;
  std::vector<uint8_t> Buffer;
  bool OutOfMemory = false;
};

JpegEncodeJob* EncodeJobOf(j_compress_ptr cinfo) {
  return reinterpret_cast<JpegDestination*>(cinfo->dest)->Job;
}

bool AppendOutput(JpegEncodeJob* job, size_t n) {
  try {
    job->Out->insert(job->Out->end(), job->Buffer.begin(), job->Buffer.begin() + std::ptrdiff_t(n));
  } catch (const std::bad_alloc&) {
    job->OutOfMemory = true;
    return false;
  }
  return true;
}

void InitDestination(j_compress_ptr cinfo) {
  JpegEncodeJob* job = EncodeJobOf(cinfo);
  job->Dest.Pub.next_output_byte = job->Buffer.data();
  job->Dest.Pub.free_in_buffer = job->Buffer.size();
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
  JpegEncodeJob* job = EncodeJobOf(cinfo);
  if (!AppendOutput(job, job->Buffer.size())) cinfo->err->error_exit(reinterpret_cast<j_common_ptr>(cinfo));
  job->Dest.Pub.next_output_byte = job->Buffer.data();
  job->Dest.Pub.free_in_buffer = job->Buffer.size();
  return true;
}

void TermDestination(j_compress_ptr cinfo) {
  JpegEncodeJob* job = EncodeJobOf(cinfo);
  if (!AppendOutput(job, job->Buffer.size() - job->Dest.Pub.free_in_buffer))
    cinfo->err->error_exit(reinterpret_cast<j_common_ptr>(cinfo));
}

Status EncodeJpegJob(JpegEncodeJob& job, const Image& image, int quality) {
  j_compress_ptr cinfo = &job.Cinfo;
  if (setjmp(job.Err.Jump)) return job.OutOfMemory ? Status::OutOfMemory : Status::GenericError;
  jpeg_create_compress(cinfo);
  job.Dest.Pub.init_destination = InitDestination;
  job.Dest.Pub.empty_output_buffer = EmptyOutputBuffer;
  job.Dest.Pub.term_destination = TermDestination;
  job.Dest.Job = &job;
  cinfo->dest = &job.Dest.Pub;

  const Frame& frame = image.Frames[0];
  if (frame.Width > JPEG_MAX_DIMENSION || frame.Height > JPEG_MAX_DIMENSION) return Status::InvalidParameter;
  cinfo->image_width = JDIMENSION(frame.Width);
  cinfo->image_height = JDIMENSION(frame.Height);
  cinfo->input_components = 4;
  cinfo->in_color_space = JCS_EXT_BGRA;
  jpeg_set_defaults(cinfo);
  jpeg_set_quality(cinfo, quality, true);
  cinfo->write_JFIF_header = true;
  if (image.DpiX >= 1 && image.DpiY >= 1 && image.DpiX <= 65535 && image.DpiY <= 65535) {
    cinfo->density_unit = 1;
    cinfo->X_density = UINT16(std::lround(image.DpiX));
    cinfo->Y_density = UINT16(std::lround(image.DpiY));
  }
  jpeg_start_compress(cinfo, true);
  auto* base = const_cast<uint8_t*>(frame.Bytes());  // libjpeg only reads the rows
  while (cinfo->next_scanline < cinfo->image_height) {
    JSAMPROW row = base + size_t(cinfo->next_scanline) * size_t(frame.Width) * 4;
    jpeg_write_scanlines(cinfo, &row, 1);
  }
  jpeg_finish_compress(cinfo);
  return Status::Ok;
}

}  // namespace

Status DecodeJpeg(ByteSpan data, Image& out, int32_t minWidth, int32_t minHeight, bool exactSize) {
  auto job = std::make_unique<JpegDecodeJob>();
  std::memset(&job->Cinfo, 0, sizeof(job->Cinfo));
  std::memset(&job->Progress, 0, sizeof(job->Progress));
  InitError(job->Err);
  job->Cinfo.err = &job->Err.Pub;
  job->Data = data;
  job->Out = &out;
  job->MinWidth = minWidth;
  job->MinHeight = minHeight;
  job->ExactSize = exactSize;
  Status status;
  try {
    status = DecodeJpegJob(*job);
  } catch (const std::bad_alloc&) {
    status = Status::OutOfMemory;
  }
  jpeg_destroy_decompress(&job->Cinfo);
  return status;
}

Status EncodeJpeg(const Image& image, int quality, std::vector<uint8_t>& out) {
  auto job = std::make_unique<JpegEncodeJob>();
  std::memset(&job->Cinfo, 0, sizeof(job->Cinfo));
  std::memset(&job->Dest, 0, sizeof(job->Dest));
  InitError(job->Err);
  job->Cinfo.err = &job->Err.Pub;
  job->Out = &out;
  Status status;
  try {
    job->Buffer.resize(64 * 1024);
    status = EncodeJpegJob(*job, image, quality);
  } catch (const std::bad_alloc&) {
    status = Status::OutOfMemory;
  }
  jpeg_destroy_compress(&job->Cinfo);
  return status;
}

Status ProbeJpeg(ByteSpan d, ImageInfo& info) {
  size_t pos = 2;
  while (true) {
    if (d.size() - pos < 2 || d[pos] != 0xFF) return Status::InvalidParameter;
    while (pos < d.size() && d[pos] == 0xFF) ++pos;  // fill bytes
    if (pos >= d.size()) return Status::InvalidParameter;
    const uint8_t marker = d[pos++];
    if ((marker >= 0xD0 && marker <= 0xD8) || marker == 0x01) continue;  // no segment
    if (marker == 0xD9 || marker == 0xDA || marker == 0x00) return Status::InvalidParameter;
    if (d.size() - pos < 2) return Status::InvalidParameter;
    const uint16_t length = Be16(d.data() + pos);
    if (length < 2 || d.size() - pos < length) return Status::InvalidParameter;
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (length < 8) return Status::InvalidParameter;
      info.Height = Be16(d.data() + pos + 3);
      info.Width = Be16(d.data() + pos + 5);
      const uint8_t components = d[pos + 7];
      info.SourceKind = components == 1   ? PixelKind::Grey8
                        : components == 4 ? PixelKind::Cmyk32
                                          : PixelKind::Rgb24;
      return Status::Ok;
    }
    pos += length;
  }
}

}  // namespace qd::codecs::detail
