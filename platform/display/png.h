#pragma once
// Writing pixels as PNG (test pictures, tools).
#include <string>

#include "platform/os/user_display.h"

namespace qd::display {

// Writes premultiplied 0xAARRGGBB pixels as an RGBA PNG (un-premultiplied). False on failure.
bool WritePixelsPng(const os::WindowPixels& pixels, const std::string& path);
// A top-level window's pixels as the screen shows them (composed) or as drawn.
bool WriteWindowPng(HWND topLevel, const std::string& path, bool composed = true);

}  // namespace qd::display
