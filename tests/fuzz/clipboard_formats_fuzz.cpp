// What another program puts on the desktop's clipboard, as arbitrary bytes: PNG and BMP
// files become DIBs that convert back, and text converts without failing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/display/clipboard_formats.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qd::display;
  const std::vector<uint8_t> fromPng = PngToDib(data, size);
  // Every picture read from a PNG is one that goes out as PNG again.
  if (!fromPng.empty() && DibToPng(fromPng).empty()) std::abort();
  const std::vector<uint8_t> fromBmp = BmpFileToDib(data, size);
  if (!fromBmp.empty()) {
    DibToPng(fromBmp);
    DibToBmpFile(fromBmp);
  }
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  TextToDesktop(TextFromDesktop(text));
  TextFromDesktop(text, true);
  return 0;
}
