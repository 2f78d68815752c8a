#pragma once
// Window-procedure chains on platform controls and window handles, message locking and
// removal, the system controller, and the start-up and shut-down of the control framework's
// window services.
#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <vector>

#include "platform/classes/classes.h"
#include "platform/classes/threads.h"
#include "platform/forms/controls.h"
#include "platform/os/wintypes.h"
#include "ui/core/cxClasses.h"
#include "ui/core/cxClassesTimer.h"

namespace qd {

class TcxWindowProcLinkedObjectList;

// One procedure of a chain. A procedure passes a message on by calling its node's
// DefaultProc, which runs the next older procedure.
class TcxWindowProcLinkedObject : public TcxDoublyLinkedObject {
  QD_CLASS(TcxWindowProcLinkedObject, TcxDoublyLinkedObject)

 public:
  void DefaultProc(TMessage& AMessage);

  TControl* FControl = nullptr;
  HWND FHandle = nullptr;
  TWndMethod FWindowProc;
};

// Puts the chain's procedure in place of a window's own and back.
class TcxSubclassingHelper {
 public:
  virtual ~TcxSubclassingHelper() = default;
  virtual void StoreAndReplaceDefaultProc(TcxWindowProcLinkedObjectList* AList) = 0;
  virtual void RestoreDefaultProc() = 0;
  const TWndMethod& DefaultWindowProc() const { return FDefaultWindowProc; }

 protected:
  TWndMethod FDefaultWindowProc;
};

// Through the control's WindowProc.
class TcxVCLSubclassingHelper : public TcxSubclassingHelper {
 public:
  explicit TcxVCLSubclassingHelper(TControl* AControl) : FControl(AControl) {}
  void StoreAndReplaceDefaultProc(TcxWindowProcLinkedObjectList* AList) override;
  void RestoreDefaultProc() override;
  // The control is being destroyed: nothing is put back.
  void ControlGone() { FControl = nullptr; }

 private:
  TControl* FControl;
};

// Through the window's procedure (GWLP_WNDPROC).
class TcxWin32SubclassingHelper : public TcxSubclassingHelper {
 public:
  explicit TcxWin32SubclassingHelper(HWND AHandle) : FHandle(AHandle) {}
  void StoreAndReplaceDefaultProc(TcxWindowProcLinkedObjectList* AList) override;
  void RestoreDefaultProc() override;

 private:
  void DefaultWndProc(TMessage& AMessage);

  HWND FHandle;
  WNDPROC FAPIDefaultWndProc = nullptr;
};

// The chain of one control or window, oldest first; its first node is the window's own
// procedure.
class TcxWindowProcLinkedObjectList : public TcxDoublyLinkedObjectList {
  QD_CLASS(TcxWindowProcLinkedObjectList, TcxDoublyLinkedObjectList)

 public:
  explicit TcxWindowProcLinkedObjectList(TControl* AControl);
  explicit TcxWindowProcLinkedObjectList(HWND AHandle);
  ~TcxWindowProcLinkedObjectList() override;

  // Subclasses the control or window and adds the node of its own procedure.
  void Initialize();
  TcxWindowProcLinkedObject* AddProc(const TWndMethod& AWndProc);
  // Unlinks and frees the node; while a message runs through the chain the node is freed
  // when the message is done.
  void RemoveProc(TcxWindowProcLinkedObject* AObject);
  bool Contains(const TcxWindowProcLinkedObject* AObject) const;
  // Runs the newest procedure.
  void WndProc(TMessage& AMessage);
  // Puts the window's own procedure back and frees the list, at once or, while a message
  // runs through it, when the message is done.
  void Release();

  TControl* Control() const { return FControl; }
  HWND Handle() const { return FHandle; }
  TcxSubclassingHelper* Helper() const { return FHelper.get(); }

 protected:
  TcxDoublyLinkedObject* CreateLinkedObject() override;

 private:
  TControl* FControl = nullptr;
  HWND FHandle = nullptr;
  std::unique_ptr<TcxSubclassingHelper> FHelper;
  int32_t FDispatchDepth = 0;
  std::vector<TcxWindowProcLinkedObject*> FRemovedObjects;
  bool FReleased = false;
};

class TcxWindowProcController {
 public:
  TcxWindowProcController();
  ~TcxWindowProcController();
  TcxWindowProcController(const TcxWindowProcController&) = delete;
  TcxWindowProcController& operator=(const TcxWindowProcController&) = delete;

  // nullptr for a nil control or a 0 handle; the caller keeps the node to remove it.
  TcxWindowProcLinkedObject* Add(TControl* AControl, const TWndMethod& AWndProc);
  TcxWindowProcLinkedObject* Add(HWND AHandle, const TWndMethod& AWndProc);
  // Removes and frees the node and sets the variable to nullptr; when only the window's
  // own procedure is left, it is put back. A node of no chain is left alone.
  void Remove(TcxWindowProcLinkedObject*& AWndProcObject);

  TcxWindowProcLinkedObjectList* GetControlWindowProcObjects(TControl* AControl) const;
  TcxWindowProcLinkedObjectList* GetControlWindowProcObjects(HWND AHandle) const;

  // The window behind a chain was destroyed (WM_NCDESTROY).
  void WindowDestroyed(HWND AHandle);

 private:
  void ControlFreed(TComponent* AComponent);
  void ReleaseList(TcxWindowProcLinkedObjectList* AList);

  std::vector<TcxWindowProcLinkedObjectList*> FWindowProcObjects;
  std::unique_ptr<TcxFreeNotificator> FFreeNotificator;
};

// Created on first use; nullptr after the control framework's shut-down.
TcxWindowProcController* cxWindowProcController();

class TdxMessagesController {
 public:
  TdxMessagesController() = default;
  ~TdxMessagesController();
  TdxMessagesController(const TdxMessagesController&) = delete;
  TdxMessagesController& operator=(const TdxMessagesController&) = delete;

  // Removes queued messages of the window in the range (AMsgFilterMax 0: the one message
  // AMsgFilterMin): all of them, or only the first. A WM_QUIT met on the way is posted again
  // and ends the removal. Answers whether a message was removed.
  bool KillMessages(HWND AWnd, UINT AMsgFilterMin, UINT AMsgFilterMax = 0, bool AKillAllMessages = true);
  // The message is queued for exactly that window.
  bool IsMessageInQueue(HWND AWnd, UINT AMessage);

  // Locks nest per message.
  void LockMessages(std::initializer_list<UINT> AMessages);
  void UnlockMessages(std::initializer_list<UINT> AMessages);
  bool IsMessageLocked(UINT AMsg) const;

  // The next message that the window's procedure receives is swallowed (answered 1).
  // Each call swallows one more message.
  void BlockMessage(HWND AHandle);
  // A locked message is blocked and AMessage set to 0. For hooks that see a message before
  // the window procedure does.
  void BlockLockedMessage(HWND AHandle, UINT& AMessage);
  bool IsBlockPending(HWND AHandle) const { return FBlocks.contains(AHandle); }

 private:
  static LRESULT BlockingWndProc(HWND AHandle, UINT AMsg, WPARAM AWParam, LPARAM ALParam);

  struct TBlock {
    WNDPROC OldWndProc = nullptr;
    int32_t Count = 0;
  };
  std::vector<UINT> FLockedMessages;
  std::map<HWND, TBlock> FBlocks;
};

// Created on first use; nullptr after the control framework's shut-down.
TdxMessagesController* dxMessagesController();

// Inside a library module, runs the calls that other threads hand to the user-interface
// thread through a message of its own.
class TcxSystemController : public TcxMessageWindow {
  QD_CLASS(TcxSystemController, TcxMessageWindow)

 public:
  TcxSystemController();
  ~TcxSystemController() override;

 protected:
  void WndProc(TMessage& AMessage) override;

 private:
  void WakeMainThreadHandler(TObject* ASender);

  TThreadNotifyEvent FPrevWakeMainThread;
  bool FReplacedWakeMainThread = false;
};

constexpr UINT DXM_SYNCHRONIZE = 0x8066;

// The call-window-procedure hook handler of the control framework.
void cxControlWndProcHook(int ACode, WPARAM AWParam, LPARAM ALParam, LRESULT& AHookResult);

// The cursors that the control framework registers in the screen's cursor table.
constexpr TCursor crcxDragCopy = 2100;
constexpr TCursor crcxFullScroll = 2101;
constexpr TCursor crcxHorScroll = 2102;
constexpr TCursor crcxVerScroll = 2103;
constexpr TCursor crcxUpScroll = 2104;
constexpr TCursor crcxRightScroll = 2105;
constexpr TCursor crcxDownScroll = 2106;
constexpr TCursor crcxLeftScroll = 2107;
constexpr TCursor crcxRemove = 2108;
constexpr TCursor crcxVertSize = 2109;
constexpr TCursor crcxHorzSize = 2110;
constexpr TCursor crcxMultiDrag = 2111;
constexpr TCursor crcxNoDrop = 2112;
constexpr TCursor crcxDrag = 2113;
constexpr TCursor crcxColorPicker = 2114;
constexpr TCursor crcxMultiDragCopy = 2115;
constexpr TCursor crcxHand = 2116;
constexpr TCursor crcxHandDrag = 2117;
constexpr TCursor crdxLayoutControlNoDrop = 2119;
constexpr TCursor crdxLayoutControlRemove = 2120;
constexpr TCursor crdxLayoutControlDropAfter = 2121;
constexpr TCursor crdxLayoutControlDropBefore = 2122;
constexpr TCursor crdxLayoutControlDropInside = 2123;
constexpr TCursor crcxDropAfterCopy = 2124;
constexpr TCursor crcxDropBeforeCopy = 2125;
constexpr TCursor crcxDropInsideCopy = 2126;
constexpr TCursor crdxHandPoint = -2099;

// The control framework's unit start-up and shut-down (cursors, system controller,
// buffered-paint registration, layered-window entry points, window-procedure hook; the
// shut-down frees the chains, the messages controller and the system information).
namespace cxControls {
void Initialize();
void Finalize();
// The unit's procedure pair in the units loader: the buffered-paint registration.
void RegisterAssistants();
void UnregisterAssistants();
}  // namespace cxControls

}  // namespace qd
