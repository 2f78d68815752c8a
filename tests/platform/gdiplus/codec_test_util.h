#pragma once
// Test files made at run time with the reference libraries themselves (and by hand for
// BMP and ICO), so that the decoders are checked against independent writers.
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

// jpeglib defines TRUE and FALSE as macros: the platform's constants of those names come first.
#include "platform/os/wintypes.h"

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

#include "platform/gdiplus/codec_io.h"

namespace qd::codecs::test {

using Bytes = std::vector<uint8_t>;

inline uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return (a << 24) | (r << 16) | (g << 8) | b;
}
inline uint32_t A(uint32_t p) {
  return p >> 24;
}
inline uint32_t R(uint32_t p) {
  return (p >> 16) & 0xFF;
}
inline uint32_t G(uint32_t p) {
  return (p >> 8) & 0xFF;
}
inline uint32_t B(uint32_t p) {
  return p & 0xFF;
}

inline int MaxChannelDiff(uint32_t p, uint32_t q) {
  int m = 0;
  for (int s = 0; s < 32; s += 8) m = std::max(m, std::abs(int((p >> s) & 0xFF) - int((q >> s) & 0xFF)));
  return m;
}

// A colourful opaque test picture.
inline std::vector<uint32_t> Pattern(int w, int h, uint32_t seed = 0) {
  std::vector<uint32_t> px(size_t(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      px[size_t(y) * w + x] = Argb(255, (x * 255) / std::max(1, w - 1), (y * 255) / std::max(1, h - 1),
                                   ((x + y) * 37 + seed) & 0xFF);
  return px;
}

// A smooth picture (for lossy round trips).
inline std::vector<uint32_t> Smooth(int w, int h) {
  std::vector<uint32_t> px(size_t(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      px[size_t(y) * w + x] = Argb(255, 40 + x * 160 / w, 60 + y * 140 / h, 200 - (x + y) * 100 / (w + h));
  return px;
}

// ---- PNG through libpng -------------------------------------------------------------

struct PngSpec {
  int Width = 0, Height = 0, ColorType = PNG_COLOR_TYPE_RGB, BitDepth = 8;
  bool Interlace = false;
  std::vector<png_color> Palette;
  std::vector<uint8_t> TrnsAlpha;  // palette alpha
  bool HasTrnsColor = false;
  png_color_16 TrnsColor{};
  uint32_t PpmX = 0, PpmY = 0;
};

inline void PngWrite(png_structp png, png_bytep data, png_size_t n) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + n);
}
inline void PngFlush(png_structp) {}

// Rows in the file's own packing.
inline Bytes WritePng(const PngSpec& s, std::vector<Bytes> rows) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, PngWrite, PngFlush);
  png_set_IHDR(png, info, s.Width, s.Height, s.BitDepth, s.ColorType,
               s.Interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!s.Palette.empty()) png_set_PLTE(png, info, s.Palette.data(), int(s.Palette.size()));
  if (!s.TrnsAlpha.empty() || s.HasTrnsColor)
    png_set_tRNS(png, info, s.TrnsAlpha.empty() ? nullptr : s.TrnsAlpha.data(), int(s.TrnsAlpha.size()),
                 s.HasTrnsColor ? &s.TrnsColor : nullptr);
  if (s.PpmX) png_set_pHYs(png, info, s.PpmX, s.PpmY, PNG_RESOLUTION_METER);
  png_write_info(png, info);
  std::vector<png_bytep> ptrs;
  for (auto& r : rows) ptrs.push_back(r.data());
  png_write_image(png, ptrs.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// An 8-bit RGBA PNG of 0xAARRGGBB pixels.
inline Bytes WritePngArgb(int w, int h, const std::vector<uint32_t>& px) {
  PngSpec s;
  s.Width = w;
  s.Height = h;
  s.ColorType = PNG_COLOR_TYPE_RGB_ALPHA;
  std::vector<Bytes> rows(h, Bytes(size_t(w) * 4));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t p = px[size_t(y) * w + x];
      rows[y][x * 4] = R(p), rows[y][x * 4 + 1] = G(p), rows[y][x * 4 + 2] = B(p), rows[y][x * 4 + 3] = A(p);
    }
  return WritePng(s, rows);
}

// ---- JPEG through libjpeg -----------------------------------------------------------

struct JpegSpec {
  int Width = 0, Height = 0;
  int Components = 3;
  J_COLOR_SPACE InSpace = JCS_RGB;
  J_COLOR_SPACE FileSpace = JCS_YCbCr;
  bool Progressive = false;
  bool AdobeMarker = false;  // write_Adobe_marker
  int Quality = 95;
  int DensityUnit = 0;
  int DensityX = 1, DensityY = 1;
  bool Jfif = true;
  Bytes App1;  // written as APP1 when not empty
};

inline Bytes WriteJpeg(const JpegSpec& s, const Bytes& samples) {
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* buf = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buf, &size);
  c.image_width = s.Width;
  c.image_height = s.Height;
  c.input_components = s.Components;
  c.in_color_space = s.InSpace;
  jpeg_set_defaults(&c);
  jpeg_set_colorspace(&c, s.FileSpace);
  jpeg_set_quality(&c, s.Quality, TRUE);
  if (s.Progressive) jpeg_simple_progression(&c);
  c.write_JFIF_header = s.Jfif;
  c.write_Adobe_marker = s.AdobeMarker;
  c.density_unit = UINT8(s.DensityUnit);
  c.X_density = UINT16(s.DensityX);
  c.Y_density = UINT16(s.DensityY);
  jpeg_start_compress(&c, TRUE);
  if (!s.App1.empty()) jpeg_write_marker(&c, JPEG_APP0 + 1, s.App1.data(), unsigned(s.App1.size()));
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = const_cast<uint8_t*>(samples.data()) + size_t(c.next_scanline) * s.Width * s.Components;
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  Bytes out(buf, buf + size);
  free(buf);
  return out;
}

inline Bytes RgbSamples(const std::vector<uint32_t>& px) {
  Bytes s;
  for (uint32_t p : px) s.insert(s.end(), {uint8_t(R(p)), uint8_t(G(p)), uint8_t(B(p))});
  return s;
}

inline Bytes WriteJpegRgb(int w, int h, const std::vector<uint32_t>& px, bool progressive = false) {
  JpegSpec s;
  s.Width = w;
  s.Height = h;
  s.Progressive = progressive;
  return WriteJpeg(s, RgbSamples(px));
}

// ---- GIF through giflib -------------------------------------------------------------

struct GifFrameSpec {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  std::vector<uint8_t> Indices;
  int Delay = 0;     // 1/100 s
  int Disposal = 0;  // DISPOSAL_*
  int Transparent = -1;
  bool Interlace = false;
  std::vector<GifColorType> LocalColors;  // power-of-two size when used
  bool WriteGce = true;
};

struct GifSpec {
  int Width = 0, Height = 0;
  std::vector<GifColorType> Colors;  // power-of-two size
  int Background = 0;
  int LoopCount = -1;  // NETSCAPE2.0 extension when >= 0
  std::vector<GifFrameSpec> Frames;
};

inline int GifWrite(GifFileType* gif, const GifByteType* data, int n) {
  auto* out = static_cast<Bytes*>(gif->UserData);
  out->insert(out->end(), data, data + n);
  return n;
}

inline Bytes WriteGif(const GifSpec& s) {
  Bytes out;
  int err = 0;
  GifFileType* gif = EGifOpen(&out, GifWrite, &err);
  EGifSetGifVersion(gif, true);
  ColorMapObject* global = GifMakeMapObject(int(s.Colors.size()), s.Colors.data());
  EGifPutScreenDesc(gif, s.Width, s.Height, 8, s.Background, global);
  if (s.LoopCount >= 0) {
    EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE);
    EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0");
    const uint8_t sub[3] = {1, uint8_t(s.LoopCount), uint8_t(s.LoopCount >> 8)};
    EGifPutExtensionBlock(gif, 3, sub);
    EGifPutExtensionTrailer(gif);
  }
  for (const auto& f : s.Frames) {
    if (f.WriteGce) {
      GraphicsControlBlock gcb{};
      gcb.DisposalMode = f.Disposal;
      gcb.DelayTime = f.Delay;
      gcb.TransparentColor = f.Transparent;
      GifByteType ext[4];
      const size_t n = EGifGCBToExtension(&gcb, ext);
      EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(n), ext);
    }
    ColorMapObject* local =
        f.LocalColors.empty() ? nullptr : GifMakeMapObject(int(f.LocalColors.size()), f.LocalColors.data());
    EGifPutImageDesc(gif, f.Left, f.Top, f.Width, f.Height, f.Interlace, local);
    if (local) GifFreeMapObject(local);
    if (!f.Interlace) {
      for (int y = 0; y < f.Height; ++y)
        EGifPutLine(gif, const_cast<GifPixelType*>(f.Indices.data()) + y * f.Width, f.Width);
    } else {
      static const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
      for (int pass = 0; pass < 4; ++pass)
        for (int y = starts[pass]; y < f.Height; y += steps[pass])
          EGifPutLine(gif, const_cast<GifPixelType*>(f.Indices.data()) + y * f.Width, f.Width);
    }
  }
  GifFreeMapObject(global);
  EGifCloseFile(gif, &err);
  return out;
}

// ---- TIFF through libtiff -----------------------------------------------------------

struct MemTiff {
  Bytes Data;
  toff_t Pos = 0;
};
inline tmsize_t MemTiffRead(thandle_t h, void* buf, tmsize_t n) {
  auto* m = static_cast<MemTiff*>(h);
  const tmsize_t avail = m->Pos < m->Data.size() ? tmsize_t(m->Data.size() - m->Pos) : 0;
  n = std::min(n, avail);
  std::memcpy(buf, m->Data.data() + m->Pos, size_t(n));
  m->Pos += n;
  return n;
}
inline tmsize_t MemTiffWrite(thandle_t h, void* buf, tmsize_t n) {
  auto* m = static_cast<MemTiff*>(h);
  if (m->Pos + n > m->Data.size()) m->Data.resize(m->Pos + n);
  std::memcpy(m->Data.data() + m->Pos, buf, size_t(n));
  m->Pos += n;
  return n;
}
inline toff_t MemTiffSeek(thandle_t h, toff_t off, int whence) {
  auto* m = static_cast<MemTiff*>(h);
  if (whence == SEEK_SET)
    m->Pos = off;
  else if (whence == SEEK_CUR)
    m->Pos += off;
  else
    m->Pos = m->Data.size() + off;
  return m->Pos;
}
inline int MemTiffClose(thandle_t) {
  return 0;
}
inline toff_t MemTiffSize(thandle_t h) {
  return static_cast<MemTiff*>(h)->Data.size();
}

struct TiffPageSpec {
  int Width = 0, Height = 0;
  int Samples = 3, Bits = 8;
  int Photometric = PHOTOMETRIC_RGB;
  bool UnassociatedAlpha = false;  // extra sample
  bool AssociatedAlpha = false;
  int Compression = COMPRESSION_NONE;
  float DpiX = 0, DpiY = 0;
  Bytes Samples8;  // contiguous, Width * Samples * Bits / 8 per row
};

inline Bytes WriteTiff(const std::vector<TiffPageSpec>& pages) {
  MemTiff m;
  TIFF* t = TIFFClientOpen("mem", "w", &m, MemTiffRead, MemTiffWrite, MemTiffSeek, MemTiffClose, MemTiffSize,
                           nullptr, nullptr);
  for (const auto& p : pages) {
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, p.Width);
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, p.Height);
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, p.Samples);
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, p.Bits);
    TIFFSetField(t, TIFFTAG_PHOTOMETRIC, p.Photometric);
    TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(t, TIFFTAG_COMPRESSION, p.Compression);
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, 4);
    if (p.UnassociatedAlpha || p.AssociatedAlpha) {
      uint16_t extra = p.AssociatedAlpha ? EXTRASAMPLE_ASSOCALPHA : EXTRASAMPLE_UNASSALPHA;
      TIFFSetField(t, TIFFTAG_EXTRASAMPLES, 1, &extra);
    }
    if (p.DpiX > 0) {
      TIFFSetField(t, TIFFTAG_XRESOLUTION, p.DpiX);
      TIFFSetField(t, TIFFTAG_YRESOLUTION, p.DpiY);
      TIFFSetField(t, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    }
    if (pages.size() > 1) {
      TIFFSetField(t, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE);
    }
    const size_t rowBytes = size_t(p.Width) * p.Samples * p.Bits / 8;
    for (int y = 0; y < p.Height; ++y)
      TIFFWriteScanline(t, const_cast<uint8_t*>(p.Samples8.data()) + y * rowBytes, y, 0);
    TIFFWriteDirectory(t);
  }
  TIFFClose(t);
  return m.Data;
}

// ---- BMP and ICO by hand ------------------------------------------------------------

inline void Put16(Bytes& b, uint32_t v) {
  b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)});
}
inline void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

struct DibSpec {
  int HeaderSize = 40;
  int Width = 0, Height = 0;  // negative height: top-down
  int BitCount = 24;
  uint32_t Compression = 0;
  std::vector<uint32_t> Masks;    // written after a 40-byte header, or inside a larger one
  std::vector<uint32_t> Palette;  // 0x00RRGGBB
  uint32_t ClrUsed = 0;
  int32_t Ppm = 0;
  Bytes Bits;  // pixel data as stored
};

inline Bytes DibHeaderBytes(const DibSpec& s) {
  Bytes b;
  if (s.HeaderSize == 12) {
    Put32(b, 12);
    Put16(b, uint32_t(s.Width));
    Put16(b, uint32_t(s.Height));
    Put16(b, 1);
    Put16(b, uint32_t(s.BitCount));
    for (uint32_t c : s.Palette) b.insert(b.end(), {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)});
    return b;
  }
  Put32(b, uint32_t(s.HeaderSize));
  Put32(b, uint32_t(s.Width));
  Put32(b, uint32_t(s.Height));
  Put16(b, 1);
  Put16(b, uint32_t(s.BitCount));
  Put32(b, s.Compression);
  Put32(b, uint32_t(s.Bits.size()));
  Put32(b, uint32_t(s.Ppm));
  Put32(b, uint32_t(s.Ppm));
  Put32(b, s.ClrUsed);
  Put32(b, 0);
  if (s.HeaderSize == 40) {
    for (uint32_t m : s.Masks) Put32(b, m);
  } else {
    for (size_t i = 0; i < 4; ++i) Put32(b, i < s.Masks.size() ? s.Masks[i] : 0);
    b.resize(size_t(s.HeaderSize), 0);
  }
  for (uint32_t c : s.Palette) Put32(b, c);
  return b;
}

inline Bytes WriteBmp(const DibSpec& s) {
  const Bytes dib = DibHeaderBytes(s);
  Bytes b = {'B', 'M'};
  Put32(b, uint32_t(14 + dib.size() + s.Bits.size()));
  Put32(b, 0);
  Put32(b, uint32_t(14 + dib.size()));
  b.insert(b.end(), dib.begin(), dib.end());
  b.insert(b.end(), s.Bits.begin(), s.Bits.end());
  return b;
}

struct IcoEntrySpec {
  int DirWidth = 0, DirHeight = 0, DirBitCount = 0;
  Bytes Data;
};

inline Bytes WriteIco(const std::vector<IcoEntrySpec>& entries, int type = 1) {
  Bytes b;
  Put16(b, 0);
  Put16(b, uint32_t(type));
  Put16(b, uint32_t(entries.size()));
  uint32_t offset = uint32_t(6 + 16 * entries.size());
  for (const auto& e : entries) {
    b.push_back(uint8_t(e.DirWidth));
    b.push_back(uint8_t(e.DirHeight));
    b.push_back(0);
    b.push_back(0);
    Put16(b, 1);
    Put16(b, uint32_t(e.DirBitCount));
    Put32(b, uint32_t(e.Data.size()));
    Put32(b, offset);
    offset += uint32_t(e.Data.size());
  }
  for (const auto& e : entries) b.insert(b.end(), e.Data.begin(), e.Data.end());
  return b;
}

// Stored rows (bottom-up unless topDown) of `value(x, y)` with y counted from the top.
inline Bytes PackRows(int w, int h, int bpp, bool topDown, const std::function<uint32_t(int, int)>& value) {
  const size_t stride = size_t((w * bpp + 31) / 32) * 4;
  Bytes bits(stride * size_t(h), 0);
  for (int r = 0; r < h; ++r) {
    const int y = topDown ? r : h - 1 - r;
    uint8_t* row = bits.data() + stride * size_t(r);
    for (int x = 0; x < w; ++x) {
      const uint32_t v = value(x, y);
      switch (bpp) {
        case 1:
          row[x / 8] |= uint8_t(v << (7 - x % 8));
          break;
        case 4:
          row[x / 2] |= uint8_t(v << (x % 2 ? 0 : 4));
          break;
        case 8:
          row[x] = uint8_t(v);
          break;
        default:
          for (int k = 0; k < bpp / 8; ++k) row[size_t(x) * (bpp / 8) + k] = uint8_t(v >> (8 * k));
      }
    }
  }
  return bits;
}

inline Bytes ReadFileBytes(const std::string& path) {
  Bytes b;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    uint8_t buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) b.insert(b.end(), buf, buf + n);
    std::fclose(f);
  }
  return b;
}

}  // namespace qd::codecs::test
