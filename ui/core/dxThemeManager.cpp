#include "ui/core/dxThemeManager.h"

#include <algorithm>
#include <vector>

#include "platform/base/strings.h"
#include "platform/forms/controls.h"
#include "platform/forms/forms.h"
#include "platform/os/clock.h"
#include "platform/os/user.h"
#include "ui/core/dxCore.h"
#include "ui/core/dxUxTheme.h"

namespace qd {

const Char* const dxThemedObjectNameA[dxThemedObjectTypeCount] = {
    u"Button",    u"Clock",       u"ComboBox",
    u"Edit",      u"ExplorerBar", u"Header",
    u"ListBox",   u"ListView",    u"Menu",
    u"Page",      u"Progress",    u"Rebar",
    u"ScrollBar", u"Spin",        u"StartPanel",
    u"Status",    u"Tab",         u"TaskBand",
    u"TaskBar",   u"ToolBar",     u"ToolTip",
    u"TrackBar",  u"TrayNotify",  u"TreeView",
    u"Window",    u"Navigation",  u"Explorer::ListView",
    u"TEXTSTYLE"};

class TdxThemeChangedEventReceiver {
 public:
  TdxThemeChangedEventReceiver();
  ~TdxThemeChangedEventReceiver();
  TdxThemeChangedEventReceiver(const TdxThemeChangedEventReceiver&) = delete;
  TdxThemeChangedEventReceiver& operator=(const TdxThemeChangedEventReceiver&) = delete;

  HWND WindowHandle() const { return FWindowHandle; }

 private:
  void WndProc(TMessage& AMessage);
  void ThemeChanged(TMessage& AMessage);

  HWND FWindowHandle = nullptr;
};

namespace {

struct TdxThemeData {
  HTHEME Handle = 0;
  String ClassList;
};

TdxThemeData FThemeDataA[dxThemedObjectTypeCount];
bool FIsGlobalThemeActive = false;
std::vector<TdxThemeChangedNotificator*>* FThemeChangedNotificatorList = nullptr;
TdxThemeChangedEventReceiver* FThemeChangedEventReceiver = nullptr;

void StartThemeManager() {
  if (!IsThemeLibraryLoaded()) return;
  FIsGlobalThemeActive = dxUxTheme::IsThemeActive();
  FThemeChangedEventReceiver = new TdxThemeChangedEventReceiver;
  FThemeChangedNotificatorList = new std::vector<TdxThemeChangedNotificator*>;
}

void StopThemeManager() {
  delete FThemeChangedEventReceiver;
  FThemeChangedEventReceiver = nullptr;
  CloseAllThemes();
  delete FThemeChangedNotificatorList;
  FThemeChangedNotificatorList = nullptr;
}

}  // namespace

// --- Cached handles ---------------------------------------------------------------------

bool AreVisualStylesAvailable(TdxThemedObjectTypes ATypes) {
  if (!FIsGlobalThemeActive || !IsThemeLibraryLoaded()) return false;
  for (int32_t i = 0; i < dxThemedObjectTypeCount; ++i) {
    const auto type = static_cast<TdxThemedObjectType>(i);
    if (ATypes.Contains(type) && OpenTheme(type) == 0) return false;
  }
  return true;
}

HTHEME OpenTheme(TdxThemedObjectType AType, const Char* AClassList) {
  if (!AreVisualStylesAvailable()) return 0;
  TdxThemeData& data = FThemeDataA[AType];
  if (data.Handle) {
    if (!AClassList || UpperCase(AClassList) == UpperCase(data.ClassList)) return data.Handle;
    CloseTheme(AType);
  }
  const String classList =
      AClassList ? String(AClassList)
                 : (!data.ClassList.empty() ? data.ClassList : String(dxThemedObjectNameA[AType]));
  const HTHEME handle = dxUxTheme::OpenThemeData(nullptr, classList.c_str());
  if (handle) {
    data.Handle = handle;
    data.ClassList = classList;
  } else {
    data.ClassList.clear();
  }
  return handle;
}

HRESULT CloseTheme(TdxThemedObjectType AType) {
  if (!AreVisualStylesAvailable()) return 1;
  TdxThemeData& data = FThemeDataA[AType];
  if (!data.Handle) return 0;
  const HRESULT result = dxUxTheme::CloseThemeData(data.Handle);
  data.Handle = 0;
  return result;
}

void CloseAllThemes() {
  for (TdxThemeData& data : FThemeDataA) {
    if (!data.Handle) continue;
    dxUxTheme::CloseThemeData(data.Handle);
    data.Handle = 0;
  }
}

// --- Notificators --------------------------------------------------------------------------

TdxThemeChangedNotificator::TdxThemeChangedNotificator() {
  if (IsThemeLibraryLoaded() && FThemeChangedNotificatorList) FThemeChangedNotificatorList->push_back(this);
}

TdxThemeChangedNotificator::~TdxThemeChangedNotificator() {
  if (!IsThemeLibraryLoaded() || !FThemeChangedNotificatorList) return;
  auto& list = *FThemeChangedNotificatorList;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TdxThemeChangedNotificator::DoThemeChanged() {
  if (FOnThemeChanged) FOnThemeChanged();
}

// --- Change receiver ------------------------------------------------------------------------

TdxThemeChangedEventReceiver::TdxThemeChangedEventReceiver() {
  FWindowHandle = AllocateHWnd(TWndMethod(this, &TdxThemeChangedEventReceiver::WndProc));
}

TdxThemeChangedEventReceiver::~TdxThemeChangedEventReceiver() {
  FIsGlobalThemeActive = false;
  DeallocateHWnd(FWindowHandle);
}

void TdxThemeChangedEventReceiver::WndProc(TMessage& AMessage) {
  if (AMessage.Msg == WM_THEMECHANGED || AMessage.Msg == WM_SYSCOLORCHANGE)
    ThemeChanged(AMessage);
  else
    AMessage.Result = DefWindowProcW(FWindowHandle, AMessage.Msg, AMessage.WParam, AMessage.LParam);
}

void TdxThemeChangedEventReceiver::ThemeChanged(TMessage& AMessage) {
  auto report = [] {
    if (Application) Application->HandleException(nullptr);
  };
  try {
    CloseAllThemes();
    DefWindowProcW(FWindowHandle, AMessage.Msg, AMessage.WParam, AMessage.LParam);
    FIsGlobalThemeActive = dxUxTheme::IsThemeActive();
    if (FThemeChangedNotificatorList) {
      // A listener may create or destroy notificators: tell those present at the start
      // that still exist.
      const std::vector<TdxThemeChangedNotificator*> snapshot = *FThemeChangedNotificatorList;
      for (TdxThemeChangedNotificator* notificator : snapshot) {
        if (!FThemeChangedNotificatorList) break;
        const auto& list = *FThemeChangedNotificatorList;
        if (std::find(list.begin(), list.end(), notificator) == list.end()) continue;
        try {
          notificator->DoThemeChanged();
        } catch (const os::EWouldBlockForever&) {
          throw;
        } catch (...) {
          report();
        }
      }
    }
  } catch (const os::EWouldBlockForever&) {
    throw;
  } catch (...) {
    report();
  }
  AMessage.Result = 0;
}

HWND dxThemeManagerWindowHandle() {
  return FThemeChangedEventReceiver ? FThemeChangedEventReceiver->WindowHandle() : nullptr;
}

namespace dxThemeManager {

void Initialize() {
  dxUnitsLoader()->AddUnit(&StartThemeManager, &StopThemeManager);
}

void Finalize() {
  dxUnitsLoader()->RemoveUnit(&StopThemeManager);
}

}  // namespace dxThemeManager

}  // namespace qd
