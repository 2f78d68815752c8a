// TIFF through libtiff, reading from and writing to memory; every page is a frame.
// 8-bit RGB and RGBA pages are read exactly; every other layout goes through libtiff's
// RGBA reader (whose alpha comes premultiplied and is made straight again).
#include "platform/gdiplus/codec_internal.h"

#include <tiffio.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstring>
#include <new>

namespace qd::codecs::detail {

namespace {

// Fax and deflate data compress a plain page by about this much at best.
constexpr uint64_t kTiffPixelsPerByte = 16384;
constexpr tmsize_t kTiffMaxSingleAlloc = tmsize_t(512) << 20;

struct TiffMemory {
  const uint8_t* Data = nullptr;        // reading
  std::vector<uint8_t>* Out = nullptr;  // writing
  uint64_t Size = 0;
  uint64_t Pos = 0;
  bool OutOfMemory = false;
};

tmsize_t ReadProc(thandle_t h, void* buf, tmsize_t n) {
  auto* m = static_cast<TiffMemory*>(h);
  if (n <= 0 || m->Pos >= m->Size) return 0;
  const uint64_t count = std::min<uint64_t>(uint64_t(n), m->Size - m->Pos);
  const uint8_t* src = m->Out ? m->Out->data() : m->Data;
  std::memcpy(buf, src + m->Pos, size_t(count));
  m->Pos += count;
  return tmsize_t(count);
}

tmsize_t WriteProc(thandle_t h, void* buf, tmsize_t n) {
  auto* m = static_cast<TiffMemory*>(h);
  if (!m->Out || n < 0) return -1;
  const uint64_t end = m->Pos + uint64_t(n);
  try {
    if (end > m->Out->size()) m->Out->resize(size_t(end));
  } catch (const std::bad_alloc&) {
    m->OutOfMemory = true;
    return -1;
  }
  std::memcpy(m->Out->data() + m->Pos, buf, size_t(n));
  m->Pos = end;
  m->Size = std::max<uint64_t>(m->Size, end);
  return n;
}

toff_t SeekProc(thandle_t h, toff_t off, int whence) {
  auto* m = static_cast<TiffMemory*>(h);
  uint64_t base = 0;
  if (whence == SEEK_CUR)
    base = m->Pos;
  else if (whence == SEEK_END)
    base = m->Size;
  const uint64_t pos = base + off;
  if (pos < base || pos > (uint64_t(1) << 40)) return toff_t(-1);
  m->Pos = pos;
  return pos;
}

int CloseProc(thandle_t) {
  return 0;
}
toff_t SizeProc(thandle_t h) {
  return static_cast<TiffMemory*>(h)->Size;
}
int MapProc(thandle_t, void**, toff_t*) {
  return 0;
}
void UnmapProc(thandle_t, void*, toff_t) {}

int QuietHandler(TIFF*, void*, const char*, const char*, va_list) {
  return 1;
}

TIFF* OpenMemory(TiffMemory& memory, const char* mode) {
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  if (!options) return nullptr;
  TIFFOpenOptionsSetMaxSingleMemAlloc(options, kTiffMaxSingleAlloc);
  TIFFOpenOptionsSetErrorHandlerExtR(options, QuietHandler, nullptr);
  TIFFOpenOptionsSetWarningHandlerExtR(options, QuietHandler, nullptr);
  TIFF* tif = TIFFClientOpenExt("memory", mode, &memory, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc,
                                MapProc, UnmapProc, options);
  TIFFOpenOptionsFree(options);
  return tif;
}

struct TiffCloser {
  TIFF* Tif;
  ~TiffCloser() {
    if (Tif) TIFFClose(Tif);
  }
};

uint32_t Unpremultiply(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  if (a == 0) return 0;
  if (a == 255) return Argb(255, r, g, b);
  auto un = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
  return Argb(a, un(r), un(g), un(b));
}

struct PageLayout {
  uint32_t Width = 0, Height = 0;
  uint16_t Bits = 1, Samples = 1, Photometric = PHOTOMETRIC_MINISBLACK, Planar = PLANARCONFIG_CONTIG;
  uint16_t ExtraCount = 0;
  uint16_t Extra = EXTRASAMPLE_UNSPECIFIED;  // the first extra sample
};

PageLayout ReadLayout(TIFF* tif) {
  PageLayout p;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &p.Width);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &p.Height);
  TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &p.Bits);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &p.Samples);
  TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &p.Planar);
  if (!TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &p.Photometric))
    p.Photometric = p.Samples >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
  uint16_t* extra = nullptr;
  if (TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &p.ExtraCount, &extra) && p.ExtraCount > 0 && extra)
    p.Extra = extra[0];
  else
    p.ExtraCount = 0;
  return p;
}

bool HasAlpha(const PageLayout& p) {
  return p.ExtraCount > 0 && (p.Extra == EXTRASAMPLE_ASSOCALPHA || p.Extra == EXTRASAMPLE_UNASSALPHA);
}

PixelKind KindOf(const PageLayout& p) {
  switch (p.Photometric) {
    case PHOTOMETRIC_MINISWHITE:
    case PHOTOMETRIC_MINISBLACK:
      if (HasAlpha(p)) return p.Bits == 16 ? PixelKind::Argb64 : PixelKind::Argb32;
      if (p.Bits == 1) return PixelKind::Indexed1;
      if (p.Bits <= 4) return PixelKind::Indexed4;
      return p.Bits == 16 ? PixelKind::Grey16 : PixelKind::Grey8;
    case PHOTOMETRIC_PALETTE:
      return p.Bits == 1 ? PixelKind::Indexed1 : p.Bits <= 4 ? PixelKind::Indexed4 : PixelKind::Indexed8;
    case PHOTOMETRIC_SEPARATED:
      return PixelKind::Cmyk32;
    case PHOTOMETRIC_RGB:
      if (HasAlpha(p)) return p.Bits == 16 ? PixelKind::Argb64 : PixelKind::Argb32;
      if (p.Samples >= 4) return PixelKind::Rgb32;
      return p.Bits == 16 ? PixelKind::Rgb48 : PixelKind::Rgb24;
    default:
      return PixelKind::Rgb24;
  }
}

// 8-bit RGB or RGBA in one plane and strips: read as stored.
bool ReadPlainRgb(TIFF* tif, const PageLayout& p, Frame& frame) {
  const bool alpha = p.Samples == 4;
  if (TIFFScanlineSize64(tif) != uint64_t(p.Width) * p.Samples) return false;
  std::vector<uint8_t> row(size_t(p.Width) * p.Samples);
  for (uint32_t y = 0; y < p.Height; ++y) {
    if (TIFFReadScanline(tif, row.data(), y, 0) < 0) return false;
    uint32_t* d = frame.Pixels.data() + size_t(y) * p.Width;
    const uint8_t* s = row.data();
    for (uint32_t x = 0; x < p.Width; ++x, s += p.Samples) {
      if (!alpha)
        d[x] = Argb(255, s[0], s[1], s[2]);
      else if (p.Extra == EXTRASAMPLE_ASSOCALPHA)
        d[x] = Unpremultiply(s[3], s[0], s[1], s[2]);
      else
        d[x] = Argb(s[3], s[0], s[1], s[2]);
    }
  }
  return true;
}

bool ReadThroughRgba(TIFF* tif, const PageLayout& p, Frame& frame) {
  char message[1024];
  if (!TIFFRGBAImageOK(tif, message)) return false;
  if (!TIFFReadRGBAImageOriented(tif, p.Width, p.Height, frame.Pixels.data(), ORIENTATION_TOPLEFT, 0))
    return false;
  const bool alpha = HasAlpha(p);
  for (uint32_t& px : frame.Pixels) {
    const uint32_t r = TIFFGetR(px), g = TIFFGetG(px), b = TIFFGetB(px), a = TIFFGetA(px);
    px = alpha ? Unpremultiply(a, r, g, b) : Argb(255, r, g, b);
  }
  return true;
}

void ReadResolution(TIFF* tif, Image& image) {
  float x = 0, y = 0;
  uint16_t unit = RESUNIT_INCH;
  TIFFGetFieldDefaulted(tif, TIFFTAG_RESOLUTIONUNIT, &unit);
  if (!TIFFGetField(tif, TIFFTAG_XRESOLUTION, &x) || !TIFFGetField(tif, TIFFTAG_YRESOLUTION, &y)) return;
  if (!(x > 0 && y > 0 && x < 1e6 && y < 1e6) || (unit != RESUNIT_INCH && unit != RESUNIT_CENTIMETER)) return;
  const double scale = unit == RESUNIT_CENTIMETER ? 2.54 : 1.0;
  image.DpiX = x * scale;
  image.DpiY = y * scale;
  image.Flags |= ImageFlagsHasRealDPI;
}

}  // namespace

Status DecodeTiff(ByteSpan data, Image& out, bool allFrames) {
  TiffMemory memory;
  memory.Data = data.data();
  memory.Size = data.size();
  TiffCloser closer{OpenMemory(memory, "rm")};
  TIFF* tif = closer.Tif;
  if (!tif) return Status::InvalidParameter;

  uint64_t totalPixels = 0;
  Status failure = Status::Ok;
  do {
    const PageLayout p = ReadLayout(tif);
    failure = CheckFrameSize(p.Width, p.Height, data.size(), kTiffPixelsPerByte);
    if (failure != Status::Ok) break;
    totalPixels += uint64_t(p.Width) * p.Height;
    if (totalPixels > kMaxTotalPixels || out.Frames.size() >= kMaxFrames) {
      failure = Status::OutOfMemory;
      break;
    }
    Frame frame;
    failure = AllocFrame(frame, int32_t(p.Width), int32_t(p.Height));
    if (failure != Status::Ok) break;
    const bool plain = p.Photometric == PHOTOMETRIC_RGB && p.Bits == 8 && p.Planar == PLANARCONFIG_CONTIG &&
                       !TIFFIsTiled(tif) && (p.Samples == 3 || (p.Samples == 4 && HasAlpha(p)));
    if (!(plain ? ReadPlainRgb(tif, p, frame) : ReadThroughRgba(tif, p, frame))) {
      failure = Status::InvalidParameter;
      break;
    }
    if (out.Frames.empty()) {
      out.SourceKind = KindOf(p);
      if (p.Photometric == PHOTOMETRIC_SEPARATED)
        out.Flags |= ImageFlagsColorSpaceCMYK;
      else if (p.Photometric == PHOTOMETRIC_MINISBLACK || p.Photometric == PHOTOMETRIC_MINISWHITE)
        out.Flags |= ImageFlagsColorSpaceGRAY;
      else if (p.Photometric == PHOTOMETRIC_YCBCR)
        out.Flags |= ImageFlagsColorSpaceYCBCR;
      ReadResolution(tif, out);
    }
    out.Frames.push_back(std::move(frame));
  } while (allFrames && TIFFReadDirectory(tif));

  // A damaged later page leaves the pages before it; limits always fail the decode.
  if (out.Frames.empty() || failure == Status::OutOfMemory) {
    out.Frames.clear();
    return failure != Status::Ok ? failure : Status::InvalidParameter;
  }
  out.Dimension = FrameDimension::Page;
  return Status::Ok;
}

Status EncodeTiff(const Image& image, TiffCompression compression, std::vector<uint8_t>& out) {
  TiffMemory memory;
  memory.Out = &out;
  TIFF* tif = OpenMemory(memory, "w");
  if (!tif) return Status::GenericError;
  TiffCloser closer{tif};
  const uint16_t pages = uint16_t(std::min<size_t>(image.Frames.size(), 65535));
  std::vector<uint8_t> row;
  for (uint16_t page = 0; page < pages; ++page) {
    const Frame& frame = image.Frames[page];
    const bool alpha = !AllOpaque(frame);
    const uint16_t samples = alpha ? 4 : 3;
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, uint32_t(frame.Width));
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, uint32_t(frame.Height));
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, samples);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION,
                 compression == TiffCompression::Deflate ? COMPRESSION_ADOBE_DEFLATE : COMPRESSION_LZW);
    TIFFSetField(tif, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    if (alpha) {
      const uint16_t extra = EXTRASAMPLE_UNASSALPHA;
      TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, &extra);
    }
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tif, 0));
    if (image.DpiX > 0 && image.DpiY > 0 && image.DpiX < 1e6 && image.DpiY < 1e6) {
      TIFFSetField(tif, TIFFTAG_XRESOLUTION, float(image.DpiX));
      TIFFSetField(tif, TIFFTAG_YRESOLUTION, float(image.DpiY));
      TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    }
    if (pages > 1) {
      TIFFSetField(tif, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE);
      TIFFSetField(tif, TIFFTAG_PAGENUMBER, page, pages);
    }
    row.resize(size_t(frame.Width) * samples);
    for (int32_t y = 0; y < frame.Height; ++y) {
      const uint32_t* s = frame.Pixels.data() + size_t(y) * size_t(frame.Width);
      uint8_t* d = row.data();
      for (int32_t x = 0; x < frame.Width; ++x, d += samples) {
        d[0] = uint8_t(s[x] >> 16);
        d[1] = uint8_t(s[x] >> 8);
        d[2] = uint8_t(s[x]);
        if (alpha) d[3] = uint8_t(s[x] >> 24);
      }
      if (TIFFWriteScanline(tif, row.data(), uint32_t(y), 0) < 0)
        return memory.OutOfMemory ? Status::OutOfMemory : Status::GenericError;
    }
    if (!TIFFWriteDirectory(tif)) return memory.OutOfMemory ? Status::OutOfMemory : Status::GenericError;
  }
  closer.Tif = nullptr;
  TIFFClose(tif);
  if (memory.OutOfMemory) return Status::OutOfMemory;
  return Status::Ok;
}

Status ProbeTiff(ByteSpan d, ImageInfo& info) {
  if (d.size() < 8) return Status::InvalidParameter;
  const bool big = d[0] == 'M';
  const uint32_t ifd = big ? Be32(d.data() + 4) : Le32(d.data() + 4);
  uint32_t width = 0, height = 0;
  PageLayout p;
  const bool fits = ForEachTiffEntry(d, big, ifd, [&](const TiffEntry& e) {
    uint32_t n = 0;
    if (e.Tag == TIFFTAG_BITSPERSAMPLE && e.Type == 3 && e.Count > 2) {
      // One value per sample, stored elsewhere; the first one is enough.
      if (e.Value <= d.size() && d.size() - e.Value >= 2)
        p.Bits = big ? Be16(d.data() + e.Value) : Le16(d.data() + e.Value);
      return true;
    }
    if (e.Tag == TIFFTAG_EXTRASAMPLES && e.Count >= 1) {
      p.ExtraCount = uint16_t(std::min<uint32_t>(e.Count, 65535));
      p.Extra = uint16_t(e.Count <= 2 ? (e.Count == 1 ? e.Value : (big ? e.Value >> 16 : e.Value & 0xFFFF))
                                      : EXTRASAMPLE_UNSPECIFIED);
      return true;
    }
    if (!TiffEntryNumber(d, big, e, n)) return true;
    switch (e.Tag) {
      case TIFFTAG_IMAGEWIDTH:
        width = n;
        break;
      case TIFFTAG_IMAGELENGTH:
        height = n;
        break;
      case TIFFTAG_BITSPERSAMPLE:
        p.Bits = uint16_t(n);
        break;
      case TIFFTAG_PHOTOMETRIC:
        p.Photometric = uint16_t(n);
        break;
      case TIFFTAG_SAMPLESPERPIXEL:
        p.Samples = uint16_t(n);
        break;
    }
    return true;
  });
  if (!fits || width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF)
    return Status::InvalidParameter;
  info.Width = int32_t(width);
  info.Height = int32_t(height);
  info.SourceKind = KindOf(p);
  return Status::Ok;
}

}  // namespace qd::codecs::detail
