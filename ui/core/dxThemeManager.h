#pragma once
// The theme manager: one cached visual-style handle per kind of themed object, and the
// notificators told after a theme or system-colour change (once the cached handles have
// been dropped).
#include <cstdint>

#include "platform/base/method.h"
#include "platform/base/set.h"
#include "platform/base/types.h"
#include "platform/os/wintypes.h"

namespace qd {

enum TdxThemedObjectType : uint8_t {
  totButton,
  totClock,
  totComboBox,
  totEdit,
  totExplorerBar,
  totHeader,
  totListBox,
  totListView,
  totMenu,
  totPage,
  totProgress,
  totRebar,
  totScrollBar,
  totSpin,
  totStartPanel,
  totStatus,
  totTab,
  totTaskBand,
  totTaskBar,
  totToolBar,
  totToolTip,
  totTrackBar,
  totTrayNotify,
  totTreeView,
  totWindow,
  totNavigation,
  totExplorerListView,
  totTextStyle
};
constexpr int32_t dxThemedObjectTypeCount = 28;
using TdxThemedObjectTypes = TSet<TdxThemedObjectType>;

// The visual-style class opened for each type.
extern const Char* const dxThemedObjectNameA[dxThemedObjectTypeCount];

// True when a theme is active, the library is loaded and every type in ATypes can be
// opened.
bool AreVisualStylesAvailable(TdxThemedObjectTypes ATypes = {});
// The cached handle of the type, opened now if needed (with AClassList, the stored class
// list or the type's class); 0 while visual styles are unavailable or the class cannot be
// opened. A different class list (compared without regard to case) reopens the handle.
HTHEME OpenTheme(TdxThemedObjectType AType, const Char* AClassList = nullptr);
// 1 while visual styles are unavailable; 0 for a type that is not open; otherwise the
// system's result, and the cache entry is cleared.
HRESULT CloseTheme(TdxThemedObjectType AType);
void CloseAllThemes();

using TdxThemeChangedEvent = TMethod<void()>;

// Told (OnThemeChanged) after every theme or system-colour change.
class TdxThemeChangedNotificator {
 public:
  TdxThemeChangedNotificator();
  virtual ~TdxThemeChangedNotificator();
  TdxThemeChangedNotificator(const TdxThemeChangedNotificator&) = delete;
  TdxThemeChangedNotificator& operator=(const TdxThemeChangedNotificator&) = delete;

  const TdxThemeChangedEvent& OnThemeChanged() const { return FOnThemeChanged; }
  void SetOnThemeChanged(const TdxThemeChangedEvent& AValue) { FOnThemeChanged = AValue; }

 protected:
  friend class TdxThemeChangedEventReceiver;
  virtual void DoThemeChanged();

 private:
  TdxThemeChangedEvent FOnThemeChanged;
};

// The hidden window that hears theme and system-colour changes (nullptr without the
// library): it drops the cached handles, re-reads whether a theme is active and tells every
// notificator.
HWND dxThemeManagerWindowHandle();

// Start-up (after dxUxTheme's) reads whether a theme is active and creates the change
// receiver and the notificator list when the library is loaded; shut-down frees them and
// closes every cached handle.
namespace dxThemeManager {
void Initialize();
void Finalize();
}  // namespace dxThemeManager

}  // namespace qd
