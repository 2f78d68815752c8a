// TIFF through libtiff, reading from memory; every page is a frame.
#include "platform/gdiplus/codec_internal.h"

#include <tiffio.h>

namespace qd::codecs::detail {

Status DecodeTiff(ByteSpan data, Image& out, bool allFrames) {
  return Status::NotImplemented;
}

Status EncodeTiff(const Image& image, TiffCompression compression, std::vector<uint8_t>& out) {
  return Status::NotImplemented;
}

Status ProbeTiff(ByteSpan d, ImageInfo& info) {
  if (d.size() < 8) return Status::InvalidParameter;
  const bool big = d[0] == 'M';
  const uint32_t ifd = big ? Be32(d.data() + 4) : Le32(d.data() + 4);
  uint32_t width = 0, height = 0, bps = 1, spp = 1, photometric = 1, extra = 0;
  const bool fits = ForEachTiffEntry(d, big, ifd, [&](const TiffEntry& e) {
    uint32_t n = 0;
    if (e.Tag == 258 && e.Type == 3 && e.Count > 2) {
      // One value per sample, stored elsewhere; the first one is enough.
      if (e.Value <= d.size() && d.size() - e.Value >= 2)
        bps = big ? Be16(d.data() + e.Value) : Le16(d.data() + e.Value);
      return true;
    }
    if (!TiffEntryNumber(d, big, e, n)) return true;
    switch (e.Tag) {
      case 256:
        width = n;
        break;
      case 257:
        height = n;
        break;
      case 258:
        bps = n;
        break;
      case 262:
        photometric = n;
        break;
      case 277:
        spp = n;
        break;
      case 338:
        extra = e.Count;
        break;
    }
    return true;
  });
  if (!fits || width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF)
    return Status::InvalidParameter;
  info.Width = int32_t(width);
  info.Height = int32_t(height);
  switch (photometric) {
    case 0:
    case 1:
    case 3:
      info.SourceKind = bps == 1                        ? PixelKind::Indexed1
                        : bps <= 4                      ? PixelKind::Indexed4
                        : bps == 16 && photometric != 3 ? PixelKind::Grey16
                        : photometric == 3              ? PixelKind::Indexed8
                                                        : PixelKind::Grey8;
      break;
    case 5:
      info.SourceKind = PixelKind::Cmyk32;
      break;
    case 2:
      if (spp >= 4)
        info.SourceKind = extra ? (bps == 16 ? PixelKind::Argb64 : PixelKind::Argb32) : PixelKind::Rgb32;
      else
        info.SourceKind = bps == 16 ? PixelKind::Rgb48 : PixelKind::Rgb24;
      break;
    default:
      info.SourceKind = PixelKind::Rgb24;
      break;
  }
  return Status::Ok;
}

}  // namespace qd::codecs::detail
