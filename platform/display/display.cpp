#include "platform/display/display.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/display/headless.h"

namespace qd::display {
namespace {
std::unique_ptr<IDisplayBackend> g_backend;

bool Is(const char* value, const char* want) {
  if (!value) return false;
  for (; *value && *want; ++value, ++want)
    if ((*value | 0x20) != (*want | 0x20)) return false;
  return *value == 0 && *want == 0;
}
}  // namespace

BackendKind ChooseBackend(const char* qdPlatform, const char* display) {
  if (qdPlatform && *qdPlatform) return Is(qdPlatform, "x11") ? BackendKind::X11 : BackendKind::Headless;
  return display && *display ? BackendKind::X11 : BackendKind::Headless;
}

BackendKind ChooseBackend() {
  return ChooseBackend(std::getenv("QD_PLATFORM"), std::getenv("DISPLAY"));
}

void Initialize() {
  if (g_backend) return;
  if (ChooseBackend() == BackendKind::X11) {
    g_backend = CreateX11DisplayBackend();
    if (!g_backend) std::fputs("display: X11 is not available, running headless\n", stderr);
  }
  if (!g_backend) g_backend = std::make_unique<HeadlessBackend>();
  os::SetDisplayBackend(g_backend.get());
}

void Finalize() {
  if (!g_backend) return;
  if (os::GetDisplayBackend() == g_backend.get()) os::SetDisplayBackend(nullptr);
  g_backend.reset();
}

IDisplayBackend* Current() {
  return g_backend.get();
}

}  // namespace qd::display
