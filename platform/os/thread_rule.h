#pragma once
// The thread rule for windows and GDI objects (README.md, "Threads"), checked in debug builds:
// a window, and a device context of a window, is used only by the thread that created it.
// Not for use outside platform/os.
#include "platform/os/wintypes.h"

namespace qd::os {

#ifdef NDEBUG
inline constexpr bool kCheckThreadRule = false;
#else
inline constexpr bool kCheckThreadRule = true;
#endif

// Stops the program with a message: `what` (with its handle), which belongs to thread `owner`,
// was used from the calling thread.
[[noreturn]] void ThreadRuleBroken(const char* what, const void* handle, DWORD owner);

}  // namespace qd::os
