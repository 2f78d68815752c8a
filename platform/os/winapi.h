#pragma once
// The whole operating-system stand-in: types, GDI, window manager and kernel services.
#include "platform/os/wintypes.h"
#if __has_include("platform/os/gdi.h")
#include "platform/os/gdi.h"
#endif
#if __has_include("platform/os/user.h")
#include "platform/os/user.h"
#endif
#include "platform/os/user_clipboard.h"
#include "platform/os/user_edit.h"
#if __has_include("platform/os/kernel.h")
#include "platform/os/kernel.h"
#endif
