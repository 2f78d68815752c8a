// The seam to the X11 backend: its factory when the backend is part of the build.
#include "platform/display/display.h"

#if __has_include("platform/display/x11_backend.h")
#include "platform/display/x11_backend.h"
#define QD_HAVE_X11_BACKEND 1
#endif

namespace qd::display {

std::unique_ptr<IDisplayBackend> CreateX11DisplayBackend() {
#ifdef QD_HAVE_X11_BACKEND
  return CreateX11Backend();
#else
  return nullptr;
#endif
}

}  // namespace qd::display
