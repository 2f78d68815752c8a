#pragma once
// The screen: choosing and installing the display backend.
//
// The window manager (platform/os/user_display.h) reports top-level windows to a
// DisplayBackend and takes input from it. Backends: "headless" (in memory, the default for
// tests) and "x11" (real windows through Xlib). QD_PLATFORM=headless|x11 chooses; without
// it, x11 when DISPLAY is set, else headless. When X11 cannot be opened the headless backend
// is used.
#include <memory>

#include "platform/os/user_display.h"

namespace qd::display {

using IDisplayBackend = os::DisplayBackend;

enum class BackendKind { Headless, X11 };

// The decision alone, from the two environment values (nullptr: unset).
BackendKind ChooseBackend(const char* qdPlatform, const char* display);
// The decision from the environment.
BackendKind ChooseBackend();

// Creates the chosen backend and installs it in the window manager (once; later calls keep
// it). The calling thread is the UI thread.
void Initialize();
// Removes and frees the backend.
void Finalize();
// The installed backend (nullptr before Initialize).
IDisplayBackend* Current();

// The X11 backend, or nullptr where no X display can be opened (or the X11 backend is not
// part of the build).
std::unique_ptr<IDisplayBackend> CreateX11DisplayBackend();

}  // namespace qd::display
