// Feeds arbitrary bytes to the XML parser, saves what it built and reads that again; also to the
// date-time parser and the entity coder, whose encode-then-decode must give the input back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/core/dxXMLDoc.h"
#include "platform/classes/streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qd;
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    TdxXMLDocument doc;
    doc.SetAutoIndent(size % 2 == 1);
    doc.LoadFromString(text);
    TBytesStream saved;
    doc.SaveToStream(saved);
    saved.SetPosition(0);
    TdxXMLDocument back;
    back.LoadFromStream(saved);
  } catch (const Exception&) {
    // the library's own errors (for example an unknown code page) are fine
  }
  try {
    TdxXMLDateTime dt;
    dt.Parse(text);
    dt.ToString();
  } catch (const Exception&) {
  }
  if (TdxXMLHelper::DecodeString(TdxXMLHelper::EncodeString(std::string_view(text), false)) != text)
    __builtin_trap();
  return 0;
}
