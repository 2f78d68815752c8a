#pragma once
// The headless display backend: top-level windows live in memory only. It records what the
// window manager reports, so that tests can see which windows are shown, where, with which
// title, and how often they were presented; their pixels come from ReadWindowPixels.
#include <map>
#include <mutex>
#include <vector>

#include "platform/os/user_display.h"

namespace qd::display {

class HeadlessBackend final : public os::DisplayBackend {
 public:
  struct WindowState {
    bool visible = false;
    RECT rect;  // screen
    String title;
    HICON icon = nullptr;
    int presents = 0;
    RECT lastDirty;
    int shapeChanges = 0;
  };

  const char* Name() const override { return "headless"; }
  void WindowCreated(HWND hwnd) override;
  void WindowDestroyed(HWND hwnd) override;
  void WindowShown(HWND hwnd, bool visible) override;
  void WindowMoved(HWND hwnd, const RECT& screenRect) override;
  void WindowTitleChanged(HWND hwnd, const String& title) override;
  void WindowIconChanged(HWND hwnd, HICON icon) override;
  void WindowShapeChanged(HWND hwnd) override;
  void Present(HWND hwnd, const gdi::Surface& surface, const RECT& dirty) override;
  void CursorChanged(HCURSOR cursor) override;

  // What the backend knows about a top-level window (false when it does not exist).
  bool Find(HWND hwnd, WindowState& state) const;
  // The live top-level windows in the order they were created; only shown ones on request.
  std::vector<HWND> Windows(bool visibleOnly = false) const;
  HCURSOR Cursor() const;

 private:
  mutable std::mutex mutex_;
  std::map<HWND, WindowState> windows_;
  std::vector<HWND> order_;
  HCURSOR cursor_ = nullptr;
};

}  // namespace qd::display
