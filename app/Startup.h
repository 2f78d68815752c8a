#pragma once
// The program's start-up and shut-down: every unit's start-up work in unit order, and its
// shut-down work in reverse.

namespace qd {

void InitializeUnits();
void FinalizeUnits();

}  // namespace qd
