// The version service's answer as arbitrary text: parsing never raises, and whatever it
// accepts prints to a text that parses again to the same print.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/base/strings.h"
#include "platform/net/json.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qd;
  const String text = Utf8ToString(std::string_view(reinterpret_cast<const char*>(data), size));
  auto value = TJSONObject::ParseJSONValue(text);
  if (!value) return 0;
  const String printed = value->ToString();
  auto again = TJSONObject::ParseJSONValue(printed);
  if (!again || again->ToString() != printed) std::abort();
  if (auto* object = dynamic_cast<TJSONObject*>(value.get()))
    for (int i = 0; i < object->Count(); ++i)
      if (object->GetValue(object->Pairs(i).Name()) == nullptr) std::abort();
  return 0;
}
