#pragma once
// Text of an HTTP body: decoded by the charset its Content-Type names, UTF-8 otherwise.
#include <string_view>

#include "platform/base/types.h"

namespace qd::net {

String DecodeHttpText(std::string_view bytes, std::string_view charset);

}  // namespace qd::net
