#include "ui/controls/cxControlsWndProc.h"
#include "ui/controls/cxHybridScrollBars.h"
#include "ui/controls/cxTouchScrollUI.h"

#include "ui/controls/cxControlsPopup.h"

#include <algorithm>

#include "platform/forms/forms.h"
#include "platform/os/kernel.h"
#include "platform/os/user.h"
#include "ui/controls/cxControlsWindowUtils.h"
#include "ui/core/dxCore.h"
#include "ui/core/dxHooks.h"
#include "ui/core/dxUxTheme.h"
#include "ui/lookandfeel/cxLookAndFeels.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxWindowProcLinkedObject)
QD_IMPLEMENT_CLASS(TcxWindowProcLinkedObjectList)
QD_IMPLEMENT_CLASS(TcxSystemController)

namespace {

TcxWindowProcController* FcxWindowProcController = nullptr;
TdxMessagesController* FMessagesController = nullptr;
TcxSystemController* FSystemController = nullptr;

// The window procedure of every window whose chain was made on its handle.
LRESULT cxWin32ChainWndProc(HWND AHandle, UINT AMsg, WPARAM AWParam, LPARAM ALParam) {
  TcxWindowProcLinkedObjectList* list =
      FcxWindowProcController ? FcxWindowProcController->GetControlWindowProcObjects(AHandle) : nullptr;
  if (!list) return DefWindowProcW(AHandle, AMsg, AWParam, ALParam);
  TMessage message{AMsg, AWParam, ALParam, 0};
  list->WndProc(message);
  // The handle may be given to another window later: the chain goes with this one.
  if (AMsg == WM_NCDESTROY && FcxWindowProcController) FcxWindowProcController->WindowDestroyed(AHandle);
  return message.Result;
}

struct TcxCursorResource {
  TCursor Number;
  const Char* Name;
};

constexpr TcxCursorResource kCursorResources[] = {
    {crcxDragCopy, u"CX_DRAGCOPYCURSOR"},
    {crcxFullScroll, u"CX_FULLSCROLLCURSOR"},
    {crcxHorScroll, u"CX_HORSCROLLCURSOR"},
    {crcxVerScroll, u"CX_VERSCROLLCURSOR"},
    {crcxUpScroll, u"CX_UPSCROLLCURSOR"},
    {crcxRightScroll, u"CX_RIGHTSCROLLCURSOR"},
    {crcxDownScroll, u"CX_DOWNSCROLLCURSOR"},
    {crcxLeftScroll, u"CX_LEFTSCROLLCURSOR"},
    {crcxRemove, u"CX_REMOVECURSOR"},
    {crcxVertSize, u"CX_VERTSIZECURSOR"},
    {crcxHorzSize, u"CX_HORZSIZECURSOR"},
    {crcxMultiDrag, u"CX_MULTIDRAGCURSOR"},
    {crcxNoDrop, u"CX_NODROPCURSOR"},
    {crcxDrag, u"CX_DRAGCURSOR"},
    {crcxColorPicker, u"CX_COLORPICKERCURSOR"},
    {crcxMultiDragCopy, u"CX_MULTIDRAGCOPYCURSOR"},
    {crcxHand, u"CX_HANDCURSOR"},
    {crcxHandDrag, u"CX_HANDDRAGCURSOR"},
    {crdxLayoutControlNoDrop, u"DXLAYOUTCONTROLNODROP"},
    {crdxLayoutControlRemove, u"DXLAYOUTCONTROLREMOVE"},
    {crdxLayoutControlDropAfter, u"DXLAYOUTCONTROLDROPAFTER"},
    {crdxLayoutControlDropBefore, u"DXLAYOUTCONTROLDROPBEFORE"},
    {crdxLayoutControlDropInside, u"DXLAYOUTCONTROLDROPINSIDE"},
    {crcxDropAfterCopy, u"CXDROPAFTERCOPY"},
    {crcxDropBeforeCopy, u"CXDROPBEFORECOPY"},
    {crcxDropInsideCopy, u"CXDROPINSIDECOPY"},
};

void RegisterCursors() {
  if (!Screen) return;
  for (const TcxCursorResource& cursor : kCursorResources)
    Screen->SetCursors(cursor.Number, LoadCursorW(GetModuleHandleW(nullptr), cursor.Name));
  Screen->SetCursors(crdxHandPoint, LoadCursorW(nullptr, IDC_HAND));
}

}  // namespace

// --- Window-procedure chains ----------------------------------------------------------------------

void TcxWindowProcLinkedObject::DefaultProc(TMessage& AMessage) {
  if (auto* previous = static_cast<TcxWindowProcLinkedObject*>(Prev()); previous && previous->FWindowProc)
    previous->FWindowProc(AMessage);
}

void TcxVCLSubclassingHelper::StoreAndReplaceDefaultProc(TcxWindowProcLinkedObjectList* AList) {
  FDefaultWindowProc = FControl->WindowProc;
  FControl->WindowProc = TWndMethod(AList, &TcxWindowProcLinkedObjectList::WndProc);
}

void TcxVCLSubclassingHelper::RestoreDefaultProc() {
  if (FControl) FControl->WindowProc = FDefaultWindowProc;
}

void TcxWin32SubclassingHelper::StoreAndReplaceDefaultProc(TcxWindowProcLinkedObjectList*) {
  FDefaultWindowProc = TWndMethod(this, &TcxWin32SubclassingHelper::DefaultWndProc);
  FAPIDefaultWndProc = dxSetWindowProc(FHandle, &cxWin32ChainWndProc);
}

void TcxWin32SubclassingHelper::RestoreDefaultProc() {
  if (FAPIDefaultWndProc && IsWindow(FHandle)) dxSetWindowProc(FHandle, FAPIDefaultWndProc);
  FAPIDefaultWndProc = nullptr;
}

void TcxWin32SubclassingHelper::DefaultWndProc(TMessage& AMessage) {
  AMessage.Result =
      FAPIDefaultWndProc
          ? CallWindowProcW(FAPIDefaultWndProc, FHandle, AMessage.Msg, AMessage.WParam, AMessage.LParam)
          : DefWindowProcW(FHandle, AMessage.Msg, AMessage.WParam, AMessage.LParam);
}

TcxWindowProcLinkedObjectList::TcxWindowProcLinkedObjectList(TControl* AControl)
    : FControl(AControl), FHelper(std::make_unique<TcxVCLSubclassingHelper>(AControl)) {}

TcxWindowProcLinkedObjectList::TcxWindowProcLinkedObjectList(HWND AHandle)
    : FHandle(AHandle), FHelper(std::make_unique<TcxWin32SubclassingHelper>(AHandle)) {}

TcxWindowProcLinkedObjectList::~TcxWindowProcLinkedObjectList() {
  FHelper->RestoreDefaultProc();
  for (TcxWindowProcLinkedObject* object : FRemovedObjects) delete object;
}

void TcxWindowProcLinkedObjectList::Initialize() {
  FHelper->StoreAndReplaceDefaultProc(this);
  AddProc(FHelper->DefaultWindowProc());
}

TcxDoublyLinkedObject* TcxWindowProcLinkedObjectList::CreateLinkedObject() {
  return new TcxWindowProcLinkedObject;
}

TcxWindowProcLinkedObject* TcxWindowProcLinkedObjectList::AddProc(const TWndMethod& AWndProc) {
  auto* result = static_cast<TcxWindowProcLinkedObject*>(Add());
  result->FControl = FControl;
  result->FHandle = FHandle;
  result->FWindowProc = AWndProc;
  return result;
}

void TcxWindowProcLinkedObjectList::RemoveProc(TcxWindowProcLinkedObject* AObject) {
  Extract(AObject);
  // A procedure may remove its own node (or another) while the message runs through it:
  // an unlinked node keeps its link to the older one until the message is done.
  if (FDispatchDepth > 0)
    FRemovedObjects.push_back(AObject);
  else
    delete AObject;
}

bool TcxWindowProcLinkedObjectList::Contains(const TcxWindowProcLinkedObject* AObject) const {
  for (TcxDoublyLinkedObject* object = First(); object; object = object->Next())
    if (object == AObject) return true;
  return false;
}

void TcxWindowProcLinkedObjectList::WndProc(TMessage& AMessage) {
  auto* newest = static_cast<TcxWindowProcLinkedObject*>(Last());
  if (!newest) return;
  ++FDispatchDepth;
  struct TDepthGuard {
    TcxWindowProcLinkedObjectList* List;
    ~TDepthGuard() {
      if (--List->FDispatchDepth > 0) return;
      if (List->FReleased) {
        delete List;
        return;
      }
      for (TcxWindowProcLinkedObject* object : List->FRemovedObjects) delete object;
      List->FRemovedObjects.clear();
    }
  } guard{this};
  newest->FWindowProc(AMessage);
}

void TcxWindowProcLinkedObjectList::Release() {
  FHelper->RestoreDefaultProc();
  if (FDispatchDepth > 0)
    FReleased = true;
  else
    delete this;
}

TcxWindowProcController::TcxWindowProcController()
    : FFreeNotificator(std::make_unique<TcxFreeNotificator>(nullptr)) {
  FFreeNotificator->SetOnFreeNotification(
      TcxFreeNotificationEvent(this, &TcxWindowProcController::ControlFreed));
}

TcxWindowProcController::~TcxWindowProcController() {
  const std::vector<TcxWindowProcLinkedObjectList*> lists = FWindowProcObjects;
  FWindowProcObjects.clear();
  for (TcxWindowProcLinkedObjectList* list : lists) {
    if (list->Control()) FFreeNotificator->RemoveSender(dynamic_cast<TComponent*>(list->Control()));
    list->Release();
  }
}

TcxWindowProcLinkedObject* TcxWindowProcController::Add(TControl* AControl, const TWndMethod& AWndProc) {
  if (!AControl) return nullptr;
  TcxWindowProcLinkedObjectList* list = GetControlWindowProcObjects(AControl);
  if (!list) {
    list = new TcxWindowProcLinkedObjectList(AControl);
    list->Initialize();
    FWindowProcObjects.push_back(list);
    FFreeNotificator->AddSender(AControl);
  }
  return list->AddProc(AWndProc);
}

TcxWindowProcLinkedObject* TcxWindowProcController::Add(HWND AHandle, const TWndMethod& AWndProc) {
  if (!AHandle) return nullptr;
  TcxWindowProcLinkedObjectList* list = GetControlWindowProcObjects(AHandle);
  if (!list) {
    list = new TcxWindowProcLinkedObjectList(AHandle);
    FWindowProcObjects.push_back(list);
    list->Initialize();
  }
  return list->AddProc(AWndProc);
}

void TcxWindowProcController::Remove(TcxWindowProcLinkedObject*& AWndProcObject) {
  if (!AWndProcObject) return;
  // The node is looked up, never read: a node whose chain went with its window is gone.
  auto it = std::find_if(FWindowProcObjects.begin(), FWindowProcObjects.end(),
                         [&](TcxWindowProcLinkedObjectList* list) { return list->Contains(AWndProcObject); });
  if (it == FWindowProcObjects.end()) return;
  TcxWindowProcLinkedObjectList* list = *it;
  // The first node is the window's own procedure, which only goes with the list.
  if (AWndProcObject == list->First()) return;
  list->RemoveProc(AWndProcObject);
  AWndProcObject = nullptr;
  if (list->First() == list->Last()) {
    FWindowProcObjects.erase(it);
    ReleaseList(list);
  }
}

TcxWindowProcLinkedObjectList* TcxWindowProcController::GetControlWindowProcObjects(
    TControl* AControl) const {
  for (TcxWindowProcLinkedObjectList* list : FWindowProcObjects)
    if (list->Control() == AControl) return list;
  return nullptr;
}

TcxWindowProcLinkedObjectList* TcxWindowProcController::GetControlWindowProcObjects(HWND AHandle) const {
  for (TcxWindowProcLinkedObjectList* list : FWindowProcObjects)
    if (!list->Control() && list->Handle() == AHandle) return list;
  return nullptr;
}

void TcxWindowProcController::WindowDestroyed(HWND AHandle) {
  TcxWindowProcLinkedObjectList* list = GetControlWindowProcObjects(AHandle);
  if (!list) return;
  std::erase(FWindowProcObjects, list);
  ReleaseList(list);
}

void TcxWindowProcController::ControlFreed(TComponent* AComponent) {
  // The control is being destroyed, down to its component part: compared by address only.
  auto it = std::find_if(FWindowProcObjects.begin(), FWindowProcObjects.end(), [&](auto* list) {
    return list->Control() && static_cast<TComponent*>(list->Control()) == AComponent;
  });
  if (it == FWindowProcObjects.end()) return;
  TcxWindowProcLinkedObjectList* list = *it;
  FWindowProcObjects.erase(it);
  // The control is past its own destructor: its WindowProc is not put back.
  static_cast<TcxVCLSubclassingHelper*>(list->Helper())->ControlGone();
  list->Release();
}

void TcxWindowProcController::ReleaseList(TcxWindowProcLinkedObjectList* AList) {
  if (AList->Control()) FFreeNotificator->RemoveSender(AList->Control());
  AList->Release();
}

TcxWindowProcController* cxWindowProcController() {
  if (!FcxWindowProcController && !cxControlsWindowUtils::UnitIsFinalized())
    FcxWindowProcController = new TcxWindowProcController;
  return FcxWindowProcController;
}

// --- Messages controller -------------------------------------------------------------------------

TdxMessagesController::~TdxMessagesController() {
  for (auto& [handle, block] : FBlocks)
    if (IsWindow(handle)) dxSetWindowProc(handle, block.OldWndProc);
}

bool TdxMessagesController::KillMessages(HWND AWnd, UINT AMsgFilterMin, UINT AMsgFilterMax,
                                         bool AKillAllMessages) {
  if (AMsgFilterMax == 0) AMsgFilterMax = AMsgFilterMin;
  bool result = false;
  MSG message;
  while (PeekMessageW(&message, AWnd, AMsgFilterMin, AMsgFilterMax, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    result = true;
    if (!AKillAllMessages) break;
  }
  return result;
}

bool TdxMessagesController::IsMessageInQueue(HWND AWnd, UINT AMessage) {
  MSG message;
  return PeekMessageW(&message, AWnd, AMessage, AMessage, PM_NOREMOVE) && message.hwnd == AWnd;
}

void TdxMessagesController::LockMessages(std::initializer_list<UINT> AMessages) {
  FLockedMessages.insert(FLockedMessages.end(), AMessages.begin(), AMessages.end());
}

void TdxMessagesController::UnlockMessages(std::initializer_list<UINT> AMessages) {
  for (UINT message : AMessages)
    if (auto it = std::find(FLockedMessages.begin(), FLockedMessages.end(), message);
        it != FLockedMessages.end())
      FLockedMessages.erase(it);
}

bool TdxMessagesController::IsMessageLocked(UINT AMsg) const {
  return std::find(FLockedMessages.begin(), FLockedMessages.end(), AMsg) != FLockedMessages.end();
}

void TdxMessagesController::BlockMessage(HWND AHandle) {
  if (!IsWindow(AHandle)) return;
  // A second block before the first was used (a hook seeing another locked message for
  // the window first) swallows one more message instead of failing inside the hook.
  if (auto it = FBlocks.find(AHandle); it != FBlocks.end()) {
    ++it->second.Count;
    return;
  }
  FBlocks[AHandle] = {dxSetWindowProc(AHandle, &BlockingWndProc), 1};
}

void TdxMessagesController::BlockLockedMessage(HWND AHandle, UINT& AMessage) {
  if (!IsMessageLocked(AMessage)) return;
  BlockMessage(AHandle);
  AMessage = 0;
}

LRESULT TdxMessagesController::BlockingWndProc(HWND AHandle, UINT AMsg, WPARAM AWParam, LPARAM ALParam) {
  TdxMessagesController* controller = FMessagesController;
  if (!controller) return DefWindowProcW(AHandle, AMsg, AWParam, ALParam);
  auto it = controller->FBlocks.find(AHandle);
  if (it == controller->FBlocks.end()) return DefWindowProcW(AHandle, AMsg, AWParam, ALParam);
  const WNDPROC oldWndProc = it->second.OldWndProc;
  if (AMsg == WM_NCDESTROY || --it->second.Count == 0) {
    dxSetWindowProc(AHandle, oldWndProc);
    controller->FBlocks.erase(it);
  }
  // The window still needs its last message to clean up.
  if (AMsg == WM_NCDESTROY) return CallWindowProcW(oldWndProc, AHandle, AMsg, AWParam, ALParam);
  return 1;
}

TdxMessagesController* dxMessagesController() {
  if (!FMessagesController && !cxControlsWindowUtils::UnitIsFinalized())
    FMessagesController = new TdxMessagesController;
  return FMessagesController;
}

// --- System controller ---------------------------------------------------------------------------

TcxSystemController::TcxSystemController() {
  if (dxIsDLL()) {
    FPrevWakeMainThread = WakeMainThread();
    SetWakeMainThread(TThreadNotifyEvent(this, &TcxSystemController::WakeMainThreadHandler));
    FReplacedWakeMainThread = true;
  }
}

TcxSystemController::~TcxSystemController() {
  if (FReplacedWakeMainThread) SetWakeMainThread(FPrevWakeMainThread);
}

void TcxSystemController::WakeMainThreadHandler(TObject*) {
  PostMessageW(Handle(), DXM_SYNCHRONIZE, 0, 0);
}

void TcxSystemController::WndProc(TMessage& AMessage) {
  if (AMessage.Msg == DXM_SYNCHRONIZE) {
    CheckSynchronize(0);
    return;
  }
  TcxMessageWindow::WndProc(AMessage);
}

// --- Unit ------------------------------------------------------------------------------------------

namespace {

void HideFloatingScrollBars(HWND AWnd) {
  TdxHybridScrollbarManagers::CheckScrollbarsVisibility(AWnd);
  TdxTouchScrollUIModeManager::CheckUIVisibility(AWnd);
}

}  // namespace

void cxControlWndProcHook(int ACode, WPARAM, LPARAM lParam, LRESULT&) {
  // The floating scroll bars follow their owners' windows; the message itself is left alone.
  if (ACode != HC_ACTION || lParam == 0) return;
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  switch (message->message) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_MDIACTIVATE:
    case WM_MDIRESTORE:
      TdxHybridScrollbarManagers::CheckScrollbarsPosition(message->hwnd);
      TdxTouchScrollUIModeManager::CheckUIPosition(message->hwnd);
      break;
    case WM_ENABLE:
      if (message->wParam == 0) HideFloatingScrollBars(message->hwnd);
      break;
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(message->lParam);
      if (pos && (pos->flags & SWP_HIDEWINDOW) != 0) HideFloatingScrollBars(message->hwnd);
      break;
    }
    case WM_CLOSE:
      HideFloatingScrollBars(message->hwnd);
      break;
    case WM_SYSCOMMAND:
      if ((message->wParam & 0xFFF0) == SC_MINIMIZE) HideFloatingScrollBars(message->hwnd);
      break;
    default:
      break;
  }
}

namespace cxControls {

void RegisterAssistants() {
  if (IsWinVistaOrLater()) BufferedPaintInit();
}

void UnregisterAssistants() {
  if (IsWinVistaOrLater()) BufferedPaintUnInit();
}

void Initialize() {
  cxControlsWindowUtils::Initialize();
  RegisterCursors();
  GroupDescendentsWith(TcxControlChildComponent::StaticClass(), TControl::StaticClass());
  FSystemController = new TcxSystemController;
  if (TdxUnitsLoader* loader = dxUnitsLoader()) loader->AddUnit(&RegisterAssistants, &UnregisterAssistants);
  cxControlsPopup::Initialize();
  dxSetHook(htWndProc, &cxControlWndProcHook);
  cxSetLookAndFeelDesignerModifiedProc(&SetDesignerModified);
}

void Finalize() {
  cxSetLookAndFeelDesignerModifiedProc(nullptr);
  dxReleaseHook(&cxControlWndProcHook);
  TdxTouchScrollUIModeManager::Finalize();
  cxControlsPopup::Finalize();
  if (TdxUnitsLoader* loader = dxUnitsLoader()) loader->RemoveUnit(&UnregisterAssistants);
  delete FSystemController;
  FSystemController = nullptr;
  // The flag that stops the lazy globals is set first; tracking left running is reported
  // once everything of the unit is freed.
  struct TFreeControllers {
    ~TFreeControllers() {
      delete FcxWindowProcController;
      FcxWindowProcController = nullptr;
      delete FMessagesController;
      FMessagesController = nullptr;
    }
  } freeControllers;
  cxControlsWindowUtils::Finalize();
}

}  // namespace cxControls

}  // namespace qd
