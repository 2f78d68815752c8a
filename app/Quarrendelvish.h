#pragma once
// The program's main block.

namespace qd {

class TForm_Principal;

// Runs the updater: start-up, the main window, the message loop, shut-down. Returns the
// process exit code. AfterCreate, when given, sees the window once it has been created
// (the end-to-end tests observe it through this).
int QuarrendelvishMain(int argc, char** argv, void (*AfterCreate)(TForm_Principal*) = nullptr);

}  // namespace qd
