#pragma once
// Culture names of Windows locale identifiers ("en-US", "pt-BR", "zh-Hans"), so that
// culture-aware code can name a locale without asking the system.
#include <cstdint>

#include "platform/base/types.h"

namespace qd {

class TdxCultureInfoHelper {
 public:
  TdxCultureInfoHelper() = delete;

  // Creates the dictionary and fills it; Finalize frees it.
  static void Initialize();
  static void Finalize();

  // The culture name of a locale identifier; false when the identifier has none (or the
  // dictionary does not exist).
  static bool TryGetCultureName(int32_t ALocaleID, String& AName);
  // The number of identifiers in the dictionary (0 when it does not exist).
  static int32_t Count();
};

namespace dxCultureInfo {
void Initialize();
void Finalize();
}  // namespace dxCultureInfo

}  // namespace qd
