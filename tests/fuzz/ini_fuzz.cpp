// INI text from arbitrary bytes: parsing never fails, and every section and key that
// reading lists can be read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/classes/encoding.h"
#include "platform/classes/inifiles.h"
#include "platform/classes/lists.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qd;
  TStringList lines;
  lines.SetText(DecodeTextBytes(std::span<const uint8_t>(data, size)));
  TMemIniFile ini(u"");
  ini.SetStrings(&lines);
  TStringList sections, keys;
  ini.ReadSections(&sections);
  for (int i = 0; i < sections.Count(); ++i) {
    ini.ReadSection(sections[i], &keys);
    for (int k = 0; k < keys.Count(); ++k)
      if (!ini.ValueExists(sections[i], keys[k])) std::abort();
    ini.ReadInteger(sections[i], keys.Count() ? keys[0] : String(), 0);
  }
  return 0;
}
