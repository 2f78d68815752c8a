#pragma once
// A process-wide cache of reusable UTF-16 string builders.
#include <cstdint>

#include "platform/base/stringbuilder.h"

namespace qd {

// Lends out up to four idle builders; safe to use from several threads without a lock. Every
// Get is paired with a Release of the same builder.
class TdxStringBuilderManager {
 public:
  static constexpr int kSlotCount = 4;

  // A builder with length 0 and a capacity of at least ACapacity.
  static TStringBuilder* Get(int32_t ACapacity);
  // Gives the builder back (it goes into the first slot and pushes the others on; one pushed
  // past the last slot is freed). ABuilder is nullptr afterwards.
  static void Release(TStringBuilder*& ABuilder);
  // Frees the idle builders (shut-down).
  static void Finalize();
};

}  // namespace qd
