// Feeds arbitrary bytes to the image codecs: detection, the header probe and the decoder
// (all frames, then the first only, and an icon size request chosen by the input); a
// decoded picture that is small enough is encoded again in every format.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gdiplus/codec_io.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qd::codecs;
  const ByteSpan bytes(data, size);
  DetectFormat(bytes);
  ImageInfo info;
  ProbeHeader(bytes, info);

  DecodeOptions options;
  if (size > 0) options.IconWidth = options.IconHeight = data[size - 1] % 64;
  Image image;
  if (Decode(bytes, image, options) != Status::Ok) return 0;
  options.AllFrames = false;
  Image first;
  Decode(bytes, first, options);

  if (uint64_t(image.Width()) * uint64_t(image.Height()) <= 64 * 64) {
    std::vector<uint8_t> out;
    for (ImageFormat format :
         {ImageFormat::PNG, ImageFormat::JPEG, ImageFormat::BMP, ImageFormat::GIF, ImageFormat::TIFF}) {
      if (Encode(image, format, out) == Status::Ok) {
        Image back;
        Decode(out, back);
      }
    }
  }
  return 0;
}
