#pragma once
// What the desktop's clipboard carries, and the clipboard's own formats: text as UTF-8 with
// line feeds (the program's text has CR LF), pictures as PNG or BMP files (the program's are
// packed DIBs).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/types.h"

namespace qd::display {

// UTF-16 text to UTF-8 for other programs: CR LF becomes LF.
std::string TextToDesktop(const String& text);
// Text from other programs (UTF-8; Latin-1 when `latin1`): a lone LF becomes CR LF, and a NUL
// ends it.
String TextFromDesktop(std::string_view bytes, bool latin1 = false);

// A packed DIB (BITMAPINFOHEADER, 32 bits a pixel, BI_RGB) as a PNG file. An alpha channel
// that is 0 everywhere (GDI drawing) is taken as opaque. Empty when the DIB is not such a one.
std::string DibToPng(const std::vector<uint8_t>& dib);
// A PNG file as a packed 32-bit bottom-up DIB (alpha in the high byte). Empty when the file is
// damaged or too large.
std::vector<uint8_t> PngToDib(const uint8_t* data, size_t size);

// A packed DIB with the 14-byte file header in front, and back. Empty when the data is
// damaged.
std::string DibToBmpFile(const std::vector<uint8_t>& dib);
std::vector<uint8_t> BmpFileToDib(const uint8_t* data, size_t size);

}  // namespace qd::display
