#include "ui/core/dxHooks.h"

#include <algorithm>

#include "platform/forms/forms.h"
#include "platform/os/clock.h"
#include "platform/os/kernel.h"

namespace qd {

namespace {

struct THookData {
  int SystemHookID;
  HOOKPROC HookProc;
};

const THookData HooksData[dxHookTypeCount] = {
    {WH_KEYBOARD, &dxSystemKeyboardHook},
    {WH_MOUSE, &dxSystemMouseHook},
    {WH_CALLWNDPROC, &dxSystemWndProcHook},
    {WH_GETMESSAGE, &dxSystemGetMessageHook},
    {WH_CBT, &dxSystemCBTHook},
    {WH_CALLWNDPROCRET, &dxSystemWndProcRetHook},
};

TdxHookController* FHookController = nullptr;

LRESULT Dispatch(TdxHookType AHookType, int ACode, WPARAM AWParam, LPARAM ALParam) {
  if (FHookController)
    return FHookController->SystemHooks(AHookType)->ProcessHookProcs(ACode, AWParam, ALParam);
  return CallNextHookEx(nullptr, ACode, AWParam, ALParam);
}

}  // namespace

// --- TdxSystemHook ---------------------------------------------------------------------------

TdxSystemHook::~TdxSystemHook() {
  Uninstall();
}

void TdxSystemHook::Install() {
  FHandle = SetWindowsHookExW(HooksData[FHookType].SystemHookID, HooksData[FHookType].HookProc, nullptr,
                              GetCurrentThreadId());
}

void TdxSystemHook::Uninstall() {
  FUninstallPending = false;
  if (FHandle) UnhookWindowsHookEx(FHandle);
  FHandle = nullptr;
}

void TdxSystemHook::Add(TdxHookProc AHookProc) {
  if (FHooks.empty()) {
    if (FUninstallPending)
      FUninstallPending = false;  // still installed: the call that emptied the list is running
    else
      Install();
  }
  FHooks.push_back(std::make_shared<THandler>(THandler{AHookProc}));
}

bool TdxSystemHook::Remove(TdxHookProc AHookProc) {
  auto it = std::find_if(FHooks.begin(), FHooks.end(), [&](const auto& h) { return h->Proc == AHookProc; });
  if (it == FHooks.end()) return false;
  (*it)->Removed = true;
  FHooks.erase(it);
  if (FHooks.empty()) {
    if (FCallDepth > 0)
      FUninstallPending = true;
    else
      Uninstall();
  }
  return true;
}

LRESULT TdxSystemHook::ProcessHookProcs(int ACode, WPARAM AWParam, LPARAM ALParam) {
  LRESULT result = 0;
  // Handlers may add or remove handlers: the call goes over those present at its start,
  // skipping the ones removed meanwhile.
  const std::vector<std::shared_ptr<THandler>> handlers = FHooks;
  const HHOOK handle = FHandle;
  ++FCallDepth;
  for (auto it = handlers.rbegin(); it != handlers.rend(); ++it) {
    if ((*it)->Removed) continue;
    try {
      (*it)->Proc(ACode, AWParam, ALParam, result);
    } catch (const os::EWouldBlockForever&) {
      --FCallDepth;
      throw;
    } catch (...) {
      if (Application) Application->HandleException(nullptr);
    }
  }
  const LRESULT next = CallNextHookEx(handle, ACode, AWParam, ALParam);
  if (--FCallDepth == 0 && FUninstallPending) Uninstall();
  return result != 0 ? result : next;
}

// --- TdxHookController -------------------------------------------------------------------

TdxHookController::TdxHookController() {
  for (int32_t i = 0; i < dxHookTypeCount; ++i)
    FSystemHooks[i] = std::make_unique<TdxSystemHook>(static_cast<TdxHookType>(i));
}

TdxHookController* dxHookController() {
  if (!FHookController) FHookController = new TdxHookController;
  return FHookController;
}

void dxSetHook(TdxHookType AHookType, TdxHookProc AHookProc) {
  dxHookController()->SystemHooks(AHookType)->Add(AHookProc);
}

void dxReleaseHook(TdxHookProc AHookProc) {
  if (!FHookController) return;
  for (int32_t i = 0; i < dxHookTypeCount; ++i)
    FHookController->SystemHooks(static_cast<TdxHookType>(i))->Remove(AHookProc);
}

LRESULT dxSystemKeyboardHook(int ACode, WPARAM AWParam, LPARAM ALParam) {
  return Dispatch(htKeyboard, ACode, AWParam, ALParam);
}
LRESULT dxSystemMouseHook(int ACode, WPARAM AWParam, LPARAM ALParam) {
  return Dispatch(htMouse, ACode, AWParam, ALParam);
}
LRESULT dxSystemWndProcHook(int ACode, WPARAM AWParam, LPARAM ALParam) {
  return Dispatch(htWndProc, ACode, AWParam, ALParam);
}
LRESULT dxSystemGetMessageHook(int ACode, WPARAM AWParam, LPARAM ALParam) {
  return Dispatch(htGetMessage, ACode, AWParam, ALParam);
}
LRESULT dxSystemCBTHook(int ACode, WPARAM AWParam, LPARAM ALParam) {
  return Dispatch(htCBT, ACode, AWParam, ALParam);
}
LRESULT dxSystemWndProcRetHook(int ACode, WPARAM AWParam, LPARAM ALParam) {
  return Dispatch(htWndProcRet, ACode, AWParam, ALParam);
}

namespace dxHooks {

void Initialize() {
  dxHookController();
}

void Finalize() {
  delete FHookController;
  FHookController = nullptr;
}

}  // namespace dxHooks

}  // namespace qd
