// The display backend seam, reading back window pixels and the reset for tests.
#include <algorithm>
#include <atomic>

#include "platform/os/gdi_surface.h"
#include "platform/os/kernel_wait.h"
#include "platform/os/user_display.h"
#include "platform/os/user_internal.h"

namespace qd::os {
namespace {
std::atomic<DisplayBackend*> g_backend{nullptr};

void WakeBackend() {
  if (DisplayBackend* b = g_backend.load()) b->Wake();
}
}  // namespace

void ResetInputForTesting();
void ResetCursorForTesting();

DisplayBackend* GetDisplayBackend() {
  return g_backend.load();
}

void SetDisplayBackend(DisplayBackend* backend) {
  g_backend.store(backend);
  detail::SetExtraWaker(backend && backend->HasEventSource() ? &WakeBackend : nullptr);
  if (!backend) return;
  for (auto& w : user::TopLevelWindows()) {
    if (w->threadId != GetCurrentThreadId()) continue;
    backend->WindowCreated(w->handle);
    backend->WindowMoved(w->handle, user::ScreenWindowRect(w.get()));
    backend->WindowTitleChanged(w->handle, w->text);
    if (w->Visible()) {
      backend->WindowShown(w->handle, true);
      w->dirty.Union(RECT{0, 0, w->window.Width(), w->window.Height()});
    }
  }
}

WindowPixels ReadWindowPixels(HWND topLevel, bool composed) {
  using namespace user;
  WindowPixels out;
  WindowPtr w = Lookup(topLevel);
  if (!w) return out;
  Window* top = TopLevelOf(w.get());
  if (!top->surface) return out;
  const gdi::Surface& s = *top->surface;
  out.width = s.width;
  out.height = s.height;
  out.pixels = s.pixels;
  if (!composed) return out;
  const bool layered = (top->exStyle & WS_EX_LAYERED) != 0;
  for (int32_t y = 0; y < out.height; ++y)
    for (int32_t x = 0; x < out.width; ++x) {
      uint32_t& p = out.pixels[static_cast<size_t>(y) * out.width + x];
      if (top->windowRegion && !top->windowRegion->Contains({x, y})) {
        p = 0;
        continue;
      }
      if (!layered) {
        p |= 0xFF000000u;  // the screen ignores the alpha of ordinary windows
        continue;
      }
      if (!top->layeredUpdated && !top->layeredFlags) {
        p = 0;  // a layered window shows nothing until it has attributes or contents
        continue;
      }
      const uint32_t key = (static_cast<uint32_t>(GetRValue(top->layeredKey)) << 16) |
                           (static_cast<uint32_t>(GetGValue(top->layeredKey)) << 8) |
                           GetBValue(top->layeredKey);
      if ((top->layeredFlags & LWA_COLORKEY) && (p & 0xFFFFFF) == key) {
        p = 0;
        continue;
      }
      uint32_t a, r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      if (top->layeredUpdated && (top->ulwFlags & ULW_OPAQUE)) {
        a = 255;
      } else if (top->layeredUpdated && top->ulwPerPixel) {
        a = p >> 24;
      } else {
        a = 255;
      }
      const bool useConstant =
          top->layeredUpdated ? (top->ulwFlags & ULW_ALPHA) != 0 : (top->layeredFlags & LWA_ALPHA) != 0;
      if (useConstant && top->layeredAlpha != 255) {
        const uint32_t k = top->layeredAlpha;
        a = (a * k + 127) / 255;
        r = (r * k + 127) / 255;
        g = (g * k + 127) / 255;
        b = (b * k + 127) / 255;
      }
      p = (a << 24) | (r << 16) | (g << 8) | b;
    }
  return out;
}

void FlushDisplay() {
  user::PresentDirty();
}

void ResetWindowManagerForTesting() {
  using namespace user;
  ThreadState& ts = CurrentThread();
  const DWORD me = ts.id;
  // Destroy the top-level windows of this thread (children go with them), owned ones first.
  for (int pass = 0; pass < 8; ++pass) {
    bool any = false;
    for (auto& w : AllWindows()) {
      if (w->threadId != me || w->kind != WindowKind::Normal || !Lookup(w->handle)) continue;
      if (w->IsChild()) continue;
      any = true;
      DestroyWindow(w->handle);
    }
    if (!any) break;
  }
  // Whatever still lives (a window that refused) is dropped without messages.
  {
    std::vector<HHOOK> hooks;
    std::lock_guard lock(ts.mutex);
    for (auto& chain : ts.hooks)
      for (auto& h : chain) hooks.push_back(reinterpret_cast<HHOOK>(h.get()));
    ts.posted.clear();
    ts.incoming.clear();
    ts.input.clear();
    ts.quit = false;
    ts.mutex.unlock();
    for (HHOOK h : hooks) UnhookWindowsHookEx(h);
    ts.mutex.lock();
  }
  ts.timers.clear();
  ts.caret = Caret{};
  ts.dpiContext = nullptr;
  InputState& in = Input();
  in = InputState{};
  ResetInputForTesting();
  ResetCursorForTesting();
  ResetSystemSettings();
  ResetMonitors();
  gdi::ResetSysColors();
}

}  // namespace qd::os

namespace qd::user {

void NotifyCreated(Window* top) {
  if (auto* b = os::GetDisplayBackend()) {
    b->WindowCreated(top->handle);
    b->WindowMoved(top->handle, ScreenWindowRect(top));
    if (!top->text.empty()) b->WindowTitleChanged(top->handle, top->text);
  }
}

void NotifyDestroyed(Window* top) {
  if (auto* b = os::GetDisplayBackend()) b->WindowDestroyed(top->handle);
}

void NotifyShown(Window* top, bool visible) {
  if (visible) top->dirty.Union(RECT{0, 0, top->window.Width(), top->window.Height()});
  if (auto* b = os::GetDisplayBackend()) b->WindowShown(top->handle, visible);
}

void NotifyMoved(Window* top) {
  if (auto* b = os::GetDisplayBackend()) b->WindowMoved(top->handle, ScreenWindowRect(top));
}

void NotifyTitle(Window* top) {
  if (auto* b = os::GetDisplayBackend()) b->WindowTitleChanged(top->handle, top->text);
}

}  // namespace qd::user
