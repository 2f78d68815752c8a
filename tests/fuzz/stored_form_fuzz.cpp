// Stored forms from arbitrary bytes: reading either succeeds or raises EReadError, and
// nothing is left behind.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/base/strings.h"
#include "platform/classes/encoding.h"
#include "platform/classes/filer.h"
#include "tests/platform/classes/form_fixtures.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qd;
  static const bool registered = (formtest::RegisterFormFixtures(), true);
  (void)registered;
  String text = DecodeTextBytes(std::span<const uint8_t>(data, size));
  try {
    delete ReadComponentFromText(text, nullptr);
  } catch (const EReadError&) {
  }
  if (formtest::Alive() != 0) std::abort();
  return 0;
}
