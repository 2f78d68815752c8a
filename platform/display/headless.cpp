#include "platform/display/headless.h"

#include <algorithm>

namespace qd::display {

void HeadlessBackend::WindowCreated(HWND hwnd) {
  std::lock_guard lock(mutex_);
  if (windows_.emplace(hwnd, WindowState{}).second) order_.push_back(hwnd);
}

void HeadlessBackend::WindowDestroyed(HWND hwnd) {
  std::lock_guard lock(mutex_);
  windows_.erase(hwnd);
  order_.erase(std::remove(order_.begin(), order_.end(), hwnd), order_.end());
}

void HeadlessBackend::WindowShown(HWND hwnd, bool visible) {
  std::lock_guard lock(mutex_);
  windows_[hwnd].visible = visible;
}

void HeadlessBackend::WindowMoved(HWND hwnd, const RECT& screenRect) {
  std::lock_guard lock(mutex_);
  windows_[hwnd].rect = screenRect;
}

void HeadlessBackend::WindowTitleChanged(HWND hwnd, const String& title) {
  std::lock_guard lock(mutex_);
  windows_[hwnd].title = title;
}

void HeadlessBackend::WindowIconChanged(HWND hwnd, HICON icon) {
  std::lock_guard lock(mutex_);
  windows_[hwnd].icon = icon;
}

void HeadlessBackend::WindowShapeChanged(HWND hwnd) {
  std::lock_guard lock(mutex_);
  ++windows_[hwnd].shapeChanges;
}

void HeadlessBackend::Present(HWND hwnd, const gdi::Surface&, const RECT& dirty) {
  std::lock_guard lock(mutex_);
  WindowState& w = windows_[hwnd];
  ++w.presents;
  w.lastDirty = dirty;
}

void HeadlessBackend::CursorChanged(HCURSOR cursor) {
  std::lock_guard lock(mutex_);
  cursor_ = cursor;
}

bool HeadlessBackend::Find(HWND hwnd, WindowState& state) const {
  std::lock_guard lock(mutex_);
  auto it = windows_.find(hwnd);
  if (it == windows_.end()) return false;
  state = it->second;
  return true;
}

std::vector<HWND> HeadlessBackend::Windows(bool visibleOnly) const {
  std::lock_guard lock(mutex_);
  std::vector<HWND> out;
  for (HWND h : order_)
    if (!visibleOnly || windows_.at(h).visible) out.push_back(h);
  return out;
}

HCURSOR HeadlessBackend::Cursor() const {
  std::lock_guard lock(mutex_);
  return cursor_;
}

}  // namespace qd::display
