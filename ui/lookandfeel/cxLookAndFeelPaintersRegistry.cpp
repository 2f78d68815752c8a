// The painters registry, the system-palette change listener with its notifiers, and the
// painter unit's start-up and shut-down.
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

#include <algorithm>

#include "platform/base/exceptions.h"
#include "platform/base/scopeexit.h"
#include "platform/base/strings.h"
#include "platform/os/nls.h"
#include "platform/os/user.h"
#include "ui/core/dxCore.h"
#include "ui/graphics/dxOffice11.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersFlat.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersStandard.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersUltraFlat.h"

namespace qd {

namespace {

TcxLookAndFeelPaintersManager* gPaintersManager = nullptr;
TcxRootLookAndFeelRefreshProc gRootLookAndFeelRefresh = nullptr;
TcxSystemPaletteChangedListener* gSystemPaletteChangedListener = nullptr;
int32_t gSystemPaletteChangedListenerRefCount = 0;
TcxSystemPaletteChangedNotifier* gPrimaryPaletteNotifier = nullptr;

// The run-time library's locale-aware, case-sensitive comparison (<0, 0, >0).
int ComparePainterNames(const String& A, const String& B) {
  return CompareStringW(LOCALE_USER_DEFAULT, 0, reinterpret_cast<const WCHAR*>(A.c_str()),
                        static_cast<int>(A.size()), reinterpret_cast<const WCHAR*>(B.c_str()),
                        static_cast<int>(B.size())) -
         2;
}

// A painter leaves the registry: its images go first, so that a descendant's own resources are
// released by its override.
void FreeRegisteredPainter(std::unique_ptr<TcxCustomLookAndFeelPainter> APainter) {
  if (APainter) APainter->ReleaseImageResources();
}

// Calls AAction for the items of AList present at the start, last first, skipping those that
// left the list meanwhile; AValid tells whether the list still exists.
template <class T, class TAction, class TValid>
void ForEachNewestFirst(const std::vector<T*>& AList, TValid AValid, TAction AAction) {
  const std::vector<T*> snapshot = AList;
  for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
    if (!AValid()) return;
    if (std::find(AList.begin(), AList.end(), *it) == AList.end()) continue;
    AAction(*it);
  }
}

}  // namespace

// --- TcxLookAndFeelPaintersManager ------------------------------------------------------------

TcxLookAndFeelPaintersManager::~TcxLookAndFeelPaintersManager() {
  while (!FPainters.empty()) {
    std::unique_ptr<TcxCustomLookAndFeelPainter> painter = std::move(FPainters.back());
    FPainters.pop_back();
    FreeRegisteredPainter(std::move(painter));
  }
}

bool TcxLookAndFeelPaintersManager::Register(std::unique_ptr<TcxCustomLookAndFeelPainter> APainter) {
  if (!APainter) return false;
  if (GetPainter(APainter->LookAndFeelName())) {
    FreeRegisteredPainter(std::move(APainter));
    return false;
  }
  TcxCustomLookAndFeelPainter* painter = APainter.get();
  FPainters.push_back(std::move(APainter));
  Sort();
  DoPainterAdded(painter);
  return true;
}

bool TcxLookAndFeelPaintersManager::Unregister(const String& AName) {
  const auto it = std::find_if(FPainters.begin(), FPainters.end(), [&AName](const auto& APainter) {
    return SameText(APainter->LookAndFeelName(), AName);
  });
  if (it == FPainters.end()) return false;
  std::unique_ptr<TcxCustomLookAndFeelPainter> painter = std::move(*it);
  FPainters.erase(it);
  // Freed also when a listener raises.
  TcxCustomLookAndFeelPainter* removed = painter.get();
  ScopeExit release{[&painter] { FreeRegisteredPainter(std::move(painter)); }};
  DoPainterRemoved(removed);
  return true;
}

TcxCustomLookAndFeelPainter* TcxLookAndFeelPaintersManager::GetPainter(TcxLookAndFeelStyle AStyle) const {
  for (const auto& painter : FPainters)
    if (painter->LookAndFeelStyle() == AStyle) return painter.get();
  return nullptr;
}

bool TcxLookAndFeelPaintersManager::GetPainter(TcxLookAndFeelStyle AStyle,
                                               TcxCustomLookAndFeelPainter*& APainter) const {
  APainter = GetPainter(AStyle);
  return APainter != nullptr;
}

TcxCustomLookAndFeelPainter* TcxLookAndFeelPaintersManager::GetPainter(const String& AName) const {
  for (const auto& painter : FPainters)
    if (SameText(painter->LookAndFeelName(), AName)) return painter.get();
  return nullptr;
}

bool TcxLookAndFeelPaintersManager::GetPainter(const String& AName,
                                               TcxCustomLookAndFeelPainter*& APainter) const {
  APainter = GetPainter(AName);
  return APainter != nullptr;
}

TcxCustomLookAndFeelPainter* TcxLookAndFeelPaintersManager::Items(int32_t AIndex) const {
  if (AIndex < 0 || AIndex >= Count()) RaiseListIndexError(AIndex);
  return FPainters[static_cast<size_t>(AIndex)].get();
}

void TcxLookAndFeelPaintersManager::AddListener(IcxLookAndFeelPainterListener* AListener) {
  if (AListener && std::find(FListeners.begin(), FListeners.end(), AListener) == FListeners.end())
    FListeners.push_back(AListener);
}

void TcxLookAndFeelPaintersManager::RemoveListener(IcxLookAndFeelPainterListener* AListener) {
  FListeners.erase(std::remove(FListeners.begin(), FListeners.end(), AListener), FListeners.end());
}

void TcxLookAndFeelPaintersManager::ReleaseImageResources() {
  for (const auto& painter : FPainters) painter->ReleaseImageResources();
}

void TcxLookAndFeelPaintersManager::DoPainterAdded(TcxCustomLookAndFeelPainter* APainter) {
  if (gRootLookAndFeelRefresh) gRootLookAndFeelRefresh();
  ForEachNewestFirst(
      FListeners, [] { return true; },
      [APainter](IcxLookAndFeelPainterListener* L) { L->PainterAdded(APainter); });
}

void TcxLookAndFeelPaintersManager::DoPainterRemoved(TcxCustomLookAndFeelPainter* APainter) {
  if (gRootLookAndFeelRefresh) gRootLookAndFeelRefresh();
  ForEachNewestFirst(
      FListeners, [] { return true; },
      [APainter](IcxLookAndFeelPainterListener* L) { L->PainterRemoved(APainter); });
}

void TcxLookAndFeelPaintersManager::Sort() {
  std::stable_sort(FPainters.begin(), FPainters.end(), [](const auto& A, const auto& B) {
    return ComparePainterNames(A->LookAndFeelName(), B->LookAndFeelName()) < 0;
  });
}

TcxLookAndFeelPaintersManager* cxLookAndFeelPaintersManager() {
  return gPaintersManager;
}

void cxSetRootLookAndFeelRefreshProc(TcxRootLookAndFeelRefreshProc AProc) {
  gRootLookAndFeelRefresh = AProc;
}

// --- System-palette change listener -------------------------------------------------------------

TcxSystemPaletteChangedListener::TcxSystemPaletteChangedListener() {
  CreateOffice11Colors();
  FWindowHandle = AllocateHWnd(TWndMethod(this, &TcxSystemPaletteChangedListener::WndProc));
}

TcxSystemPaletteChangedListener::~TcxSystemPaletteChangedListener() {
  DeallocateHWnd(FWindowHandle);
  ReleaseOffice11Colors();
}

void TcxSystemPaletteChangedListener::AddNotifier(TcxSystemPaletteChangedNotifier* ANotifier,
                                                  bool AIsPrimary) {
  (AIsPrimary ? FPrimaryNotifierList : FNotifierList).push_back(ANotifier);
}

void TcxSystemPaletteChangedListener::RemoveNotifier(TcxSystemPaletteChangedNotifier* ANotifier,
                                                     bool AIsPrimary) {
  auto& list = AIsPrimary ? FPrimaryNotifierList : FNotifierList;
  list.erase(std::remove(list.begin(), list.end(), ANotifier), list.end());
}

void TcxSystemPaletteChangedListener::WndProc(TMessage& AMessage) {
  const HWND handle = FWindowHandle;
  // The default procedure answers the message in every case, also when a notifier raises.
  ScopeExit answer{[&AMessage, handle] {
    AMessage.Result = DefWindowProcW(handle, AMessage.Msg, AMessage.WParam, AMessage.LParam);
  }};
  if (AMessage.Msg == WM_SYSCOLORCHANGE) DoChange();
}

void TcxSystemPaletteChangedListener::DoChange() {
  RefreshOffice11Colors();
  // A notifier may free notifiers, the last one of them this listener too.
  auto alive = [this] { return gSystemPaletteChangedListener == this; };
  ForEachNewestFirst(FPrimaryNotifierList, alive, [](TcxSystemPaletteChangedNotifier* N) { N->DoChanged(); });
  if (!alive()) return;
  ForEachNewestFirst(FNotifierList, alive, [](TcxSystemPaletteChangedNotifier* N) { N->DoChanged(); });
}

void AddRefSystemPaletteChangedListener() {
  if (gSystemPaletteChangedListenerRefCount == 0)
    gSystemPaletteChangedListener = new TcxSystemPaletteChangedListener();
  ++gSystemPaletteChangedListenerRefCount;
}

void ReleaseRefSystemPaletteChangedListener() {
  if (gSystemPaletteChangedListenerRefCount == 0) return;
  if (--gSystemPaletteChangedListenerRefCount == 0) {
    TcxSystemPaletteChangedListener* listener = gSystemPaletteChangedListener;
    gSystemPaletteChangedListener = nullptr;
    delete listener;
  }
}

TcxSystemPaletteChangedListener* cxSystemPaletteChangedListener() {
  return gSystemPaletteChangedListener;
}

TcxSystemPaletteChangedNotifier::TcxSystemPaletteChangedNotifier(bool AIsPrimary) : FIsPrimary(AIsPrimary) {
  AddRefSystemPaletteChangedListener();
  gSystemPaletteChangedListener->AddNotifier(this, FIsPrimary);
}

TcxSystemPaletteChangedNotifier::~TcxSystemPaletteChangedNotifier() {
  if (gSystemPaletteChangedListener) gSystemPaletteChangedListener->RemoveNotifier(this, FIsPrimary);
  ReleaseRefSystemPaletteChangedListener();
}

void TcxSystemPaletteChangedNotifier::DoChanged() {
  if (FOnSystemPaletteChanged) FOnSystemPaletteChanged();
}

// --- Unit start-up ---------------------------------------------------------------------------------

namespace cxLookAndFeelPainters {

void RegisterAssistants() {
  // In the order Flat, Office11, Standard, UltraFlat, Native.
  gPaintersManager->Register(std::make_unique<TcxFlatLookAndFeelPainter>());
  gPaintersManager->Register(std::make_unique<TcxStandardLookAndFeelPainter>());
  gPaintersManager->Register(std::make_unique<TcxUltraFlatLookAndFeelPainter>());
  if (dxIsDLL()) RefreshOffice11Colors();
}

void UnregisterAssistants() {
  if (gPaintersManager) gPaintersManager->ReleaseImageResources();
  cxFreeIndicatorImages();
}

void Initialize() {
  if (gPaintersManager) return;
  gPaintersManager = new TcxLookAndFeelPaintersManager();
  gPrimaryPaletteNotifier = new TcxSystemPaletteChangedNotifier(true);
  dxUnitsLoader()->AddUnit(&RegisterAssistants, &UnregisterAssistants);
}

void Finalize() {
  if (!gPaintersManager) return;
  dxUnitsLoader()->RemoveUnit(&UnregisterAssistants);
  delete gPrimaryPaletteNotifier;
  gPrimaryPaletteNotifier = nullptr;
  TcxLookAndFeelPaintersManager* manager = gPaintersManager;
  gPaintersManager = nullptr;
  delete manager;
}

TcxSystemPaletteChangedNotifier* PrimaryPaletteNotifier() {
  return gPrimaryPaletteNotifier;
}

}  // namespace cxLookAndFeelPainters

}  // namespace qd
