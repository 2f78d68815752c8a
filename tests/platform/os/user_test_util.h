#pragma once
// Window-manager test helpers: a window class that records the messages it receives, with
// per-window overrides, and a fixture that resets the window manager after each test.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/os/clock.h"
#include "platform/os/user.h"
#include "platform/os/user_display.h"

namespace qd::testing {

const char* MessageName(UINT msg);

struct Logged {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

// Every message a recorded window receives, in order. Names windows for readable output.
class MessageLog {
 public:
  static MessageLog& Get();
  void Clear() { entries_.clear(); }
  void Add(const Logged& e) {
    if (enabled_) entries_.push_back(e);
  }
  void Name(HWND h, std::string name) { names_[h] = std::move(name); }
  std::string NameOf(HWND h) const;
  // "name:WM_X" lines for the given messages only (all when `only` is empty).
  std::vector<std::string> Lines(const std::vector<UINT>& only = {}) const;
  const std::vector<Logged>& Entries() const { return entries_; }
  void Enable(bool on) { enabled_ = on; }

 private:
  std::vector<Logged> entries_;
  std::map<HWND, std::string> names_;
  bool enabled_ = true;
};

// Per-window handler: return true and set the result to skip DefWindowProc.
using Override = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)>;
void SetOverride(HWND hwnd, Override handler);

// The recording class ("QdRecorder"), registered on first use, with CS_DBLCLKS and a
// white background brush.
LPCWSTR RecorderClass();
HWND CreateRecorded(const std::string& name, DWORD style, int x, int y, int w, int h, HWND parent = nullptr,
                    DWORD exStyle = 0, LPCWSTR cls = nullptr);

// Retrieves and dispatches everything that is queued now (not timers that are not due).
int PumpMessages();

class WmTest : public ::testing::Test {
 protected:
  void SetUp() override { MessageLog::Get().Clear(); }
  void TearDown() override {
    MessageLog::Get().Enable(false);
    os::ResetWindowManagerForTesting();
    MessageLog::Get().Enable(true);
    MessageLog::Get().Clear();
  }
};

}  // namespace qd::testing
