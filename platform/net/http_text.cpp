#include "platform/net/http_text.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "platform/base/strings.h"

namespace qd::net {

String DecodeHttpText(std::string_view bytes, std::string_view charset) {
  std::string cs(charset);
  std::transform(cs.begin(), cs.end(), cs.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (cs == "iso-8859-1" || cs == "iso8859-1" || cs == "latin1" || cs == "latin-1" || cs == "l1")
    return DecodeCodePage(bytes, CP_LATIN1);
  if (cs == "windows-1252" || cs == "cp1252" || cs == "us-ascii" || cs == "ascii")
    return DecodeCodePage(bytes, CP_WINDOWS1252);
  if (cs == "ibm437" || cs == "cp437") return DecodeCodePage(bytes, CP_OEM437);
  return Utf8ToString(bytes);
}

}  // namespace qd::net
