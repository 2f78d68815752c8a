#pragma once
// The hook controller: handlers on the system's message hooks without a hook of their own.
// Per hook type one system hook exists, installed for the calling thread with the type's
// first handler and removed with its last.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/os/user.h"
#include "platform/os/wintypes.h"

namespace qd {

enum TdxHookType : uint8_t { htKeyboard, htMouse, htWndProc, htGetMessage, htCBT, htWndProcRet };
constexpr int32_t dxHookTypeCount = 6;

// A handler gets the system hook's code and parameters and a result shared by all handlers
// of one call; a non-zero result is what the hook answers.
using TdxHookProc = void (*)(int ACode, WPARAM AWParam, LPARAM ALParam, LRESULT& AHookResult);

// The system hook of one type and its handlers, in the order of adding.
class TdxSystemHook {
 public:
  explicit TdxSystemHook(TdxHookType AHookType) : FHookType(AHookType) {}
  ~TdxSystemHook();
  TdxSystemHook(const TdxSystemHook&) = delete;
  TdxSystemHook& operator=(const TdxSystemHook&) = delete;

  void Add(TdxHookProc AHookProc);
  // Removes the first occurrence; False when the procedure is not there.
  bool Remove(TdxHookProc AHookProc);
  // Handlers newest first, then the next hook of the chain.
  LRESULT ProcessHookProcs(int ACode, WPARAM AWParam, LPARAM ALParam);

  HHOOK Handle() const { return FHandle; }
  TdxHookType HookType() const { return FHookType; }
  int32_t Count() const { return static_cast<int32_t>(FHooks.size()); }

 private:
  struct THandler {
    TdxHookProc Proc;
    bool Removed = false;
  };
  void Install();
  void Uninstall();

  HHOOK FHandle = nullptr;
  TdxHookType FHookType;
  std::vector<std::shared_ptr<THandler>> FHooks;
  int32_t FCallDepth = 0;
  // The last handler left during a call: the hook goes when the call is over.
  bool FUninstallPending = false;
};

class TdxHookController {
 public:
  TdxHookController();
  TdxHookController(const TdxHookController&) = delete;
  TdxHookController& operator=(const TdxHookController&) = delete;

  TdxSystemHook* SystemHooks(TdxHookType AHookType) const { return FSystemHooks[AHookType].get(); }

 private:
  std::unique_ptr<TdxSystemHook> FSystemHooks[dxHookTypeCount];
};

// The controller, created on first use.
TdxHookController* dxHookController();

// Adds the handler (a procedure added twice is called twice).
void dxSetHook(TdxHookType AHookType, TdxHookProc AHookProc);
// Removes the first occurrence of the procedure from every hook type.
void dxReleaseHook(TdxHookProc AHookProc);

// The system hook procedures of the six types.
LRESULT dxSystemKeyboardHook(int ACode, WPARAM AWParam, LPARAM ALParam);
LRESULT dxSystemMouseHook(int ACode, WPARAM AWParam, LPARAM ALParam);
LRESULT dxSystemWndProcHook(int ACode, WPARAM AWParam, LPARAM ALParam);
LRESULT dxSystemGetMessageHook(int ACode, WPARAM AWParam, LPARAM ALParam);
LRESULT dxSystemCBTHook(int ACode, WPARAM AWParam, LPARAM ALParam);
LRESULT dxSystemWndProcRetHook(int ACode, WPARAM AWParam, LPARAM ALParam);

// Start-up creates the controller; shut-down removes every system hook and frees it.
namespace dxHooks {
void Initialize();
void Finalize();
}  // namespace dxHooks

}  // namespace qd
