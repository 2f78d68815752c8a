#pragma once
// Basic types shared by the whole system.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qd {

// Text is UTF-16, as the platform's wide API; positions are UTF-16 code units.
using Char = char16_t;
using String = std::u16string;
using StringView = std::u16string_view;
// A byte string (UTF-8 or a single-byte code page), as the platform's narrow API.
using AnsiString = std::string;
using TBytes = std::vector<uint8_t>;

// Days since 1899-12-30; the fraction is the time of day.
using TDateTime = double;

}  // namespace qd
