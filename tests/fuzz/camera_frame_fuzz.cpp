// Camera frames from arbitrary bytes: the first four bytes choose the width (1 to 256), the
// height (1 to 256), the pixel format and extra row padding; the rest is the frame. A
// conversion either fails or yields exactly width x height 32-bit pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/media/capture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qd;
  if (size < 4) return 0;
  const int32_t w = data[0] + 1, h = data[1] + 1;
  const int format = data[2] % 4;
  const size_t padding = data[3] % 16;
  const uint8_t* frame = data + 4;
  const size_t bytes = size - 4;
  std::vector<uint8_t> out;
  bool ok = false;
  switch (format) {
    case 0:
      ok = media::ConvertYUYV(frame, bytes, w, h, static_cast<size_t>((w + 1) / 2) * 4 + padding, out);
      break;
    case 1:
    case 2:
      ok = media::ConvertRGB24(frame, bytes, w, h, static_cast<size_t>(w) * 3 + padding, format == 2, out);
      break;
    default:
      ok = media::ConvertMJPEG(frame, bytes, w, h, out);
      break;
  }
  if (ok && out.size() != static_cast<size_t>(w) * static_cast<size_t>(h) * 4) std::abort();
  return 0;
}
