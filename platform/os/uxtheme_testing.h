#pragma once
// Test switches of the visual-styles engine and of desktop composition, the draw-call
// recorder, and the catalogue of classes, parts and states (for tests and the gallery).
#include <string>
#include <vector>

#include "platform/base/types.h"
#include "platform/os/wintypes.h"

namespace qd::os {

// Visual styles on (the default) or off. Off: IsThemeActive and IsAppThemed are FALSE and
// OpenThemeData answers 0. A change is announced like the original does: WM_THEMECHANGED to
// every window, then WM_SETTINGCHANGE ("WindowsThemeElement") to the top-level windows.
void SetVisualStylesEnabled(bool enabled);
bool VisualStylesEnabled();

// OpenThemeData fails for this class as if the theme did not have it ("Button",
// "Explorer::ListView"; case-insensitive).
void SetThemeClassFailing(StringView className, bool failing);

// The synthetic look: every part is drawn as an opaque rectangle over its whole rectangle, in
// one colour per (class, part, state), ThemeSyntheticColor.
void SetThemeSyntheticLook(bool on);
COLORREF ThemeSyntheticColor(StringView className, int part, int state);

// The recorder: every drawing call of the engine, in order.
enum class ThemeCallKind { Background, Text, Edge, Icon, ParentBackground };
struct ThemeDrawCall {
  ThemeCallKind kind = ThemeCallKind::Background;
  String className;  // the class the handle was opened for (empty for ParentBackground)
  int part = 0;
  int state = 0;
  RECT rect;
  bool hasClip = false;
  RECT clip;    // DrawThemeBackground's clip rectangle when hasClip
  String text;  // DrawThemeText(Ex)
};
void StartThemeRecording();  // clears what was recorded
void StopThemeRecording();
std::vector<ThemeDrawCall> ThemeRecording();

class ScopedThemeRecorder {
 public:
  ScopedThemeRecorder() { StartThemeRecording(); }
  ~ScopedThemeRecorder() { StopThemeRecording(); }
  ScopedThemeRecorder(const ScopedThemeRecorder&) = delete;
  ScopedThemeRecorder& operator=(const ScopedThemeRecorder&) = delete;
  std::vector<ThemeDrawCall> Calls() const { return ThemeRecording(); }
};

// Desktop composition is switched by qd::os::SetCompositionEnabled (platform/os/user_display.h).

// Visual styles on, no failing class, the normal look, the recorder off and cleared, the
// theme application properties reset. Sends no messages.
void ResetThemeForTesting();

// What the theme defines.
struct ThemePartInfo {
  int part = 0;
  std::string name;                 // "BP_PUSHBUTTON"
  std::vector<std::string> states;  // state 1 first
  SIZE trueSize;                    // at 96 DPI (0 where the part has no size of its own)
  bool stretches = true;            // fills any rectangle; else drawn at its true size, centred
  bool textPart = false;            // shows text
};
struct ThemeClassInfo {
  std::string name;  // "Button", "Explorer::ListView"
  std::vector<ThemePartInfo> parts;
};
std::vector<ThemeClassInfo> ThemeCatalogue();

}  // namespace qd::os
