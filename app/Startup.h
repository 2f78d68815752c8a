#pragma once
// The program's start-up and shut-down: every unit's start-up work in unit order, and its
// shut-down work in reverse.
#include <span>

namespace qd {

struct TUnit {
  void (*Initialize)();
  void (*Finalize)();
};

// The program's units, in unit order.
std::span<const TUnit> ProgramUnits();

// Starts the units in order. When a unit's start-up raises, the units already started are
// shut down in reverse order and the exception propagates.
void InitializeUnits(std::span<const TUnit> AUnits);
// Shuts the units down in reverse order.
void FinalizeUnits(std::span<const TUnit> AUnits);

inline void InitializeUnits() {
  InitializeUnits(ProgramUnits());
}
inline void FinalizeUnits() {
  FinalizeUnits(ProgramUnits());
}

}  // namespace qd
