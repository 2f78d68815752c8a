// Theme handles and the theme-wide state: opening classes, window themes, application
// properties, the theme's name, panning feedback and the test switches.
#include <algorithm>
#include <cstring>
#include <mutex>
#include <set>

#include "platform/base/mathutil.h"
#include "platform/os/kernel.h"
#include "platform/os/user.h"
#include "platform/os/uxtheme_internal.h"
#include "platform/os/uxtheme_testing.h"

namespace qd::theme {

namespace {

struct WindowTheme {
  uintptr_t stamp = 0;  // also stored as a window property: tells a recycled handle apart
  bool hasSubApp = false;
  String subApp;
  bool hasIdList = false;
  String idList;
  bool dialogTexture = false;
  DWORD textureFlags = 0;
  HTHEME lastTheme = 0;
};

struct ThemeState {
  std::recursive_mutex mutex;
  std::map<HTHEME, ThemeData> handles;
  HTHEME nextHandle = 0x10001;
  std::map<HWND, WindowTheme> windows;
  uintptr_t nextStamp = 1;
  bool stylesOn = true;
  bool synthetic = false;
  std::set<String> failing;  // upper-case class names
  DWORD appProperties = STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS | STAP_ALLOW_WEBCONTENT;
  bool recording = false;
  std::vector<os::ThemeDrawCall> calls;
};

ThemeState& Themes() {
  static ThemeState s;
  return s;
}

constexpr const Char* kWindowProp = u"QdThemeWindow";

String Upper(std::u16string_view s) {
  String u(s);
  for (Char& c : u)
    if (c >= u'a' && c <= u'z') c = static_cast<Char>(c - u'a' + u'A');
  return u;
}

std::u16string_view TrimBlanks(std::u16string_view s) {
  while (!s.empty() && (s.front() == u' ' || s.front() == u'\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == u' ' || s.back() == u'\t')) s.remove_suffix(1);
  return s;
}

// The window's record when it is still the window it was made for. Call with the mutex held.
WindowTheme* FindWindowTheme(HWND hwnd) {
  ThemeState& s = Themes();
  auto it = s.windows.find(hwnd);
  if (it == s.windows.end()) return nullptr;
  if (!IsWindow(hwnd) || reinterpret_cast<uintptr_t>(GetPropW(hwnd, kWindowProp)) != it->second.stamp) {
    s.windows.erase(it);
    return nullptr;
  }
  return &it->second;
}

WindowTheme& WindowThemeFor(HWND hwnd) {
  if (WindowTheme* w = FindWindowTheme(hwnd)) return *w;
  ThemeState& s = Themes();
  // Forget windows that are gone.
  for (auto it = s.windows.begin(); it != s.windows.end();) {
    if (!IsWindow(it->first) ||
        reinterpret_cast<uintptr_t>(GetPropW(it->first, kWindowProp)) != it->second.stamp)
      it = s.windows.erase(it);
    else
      ++it;
  }
  WindowTheme& w = s.windows[hwnd];
  w = WindowTheme{};
  w.stamp = s.nextStamp++;
  SetPropW(hwnd, kWindowProp, reinterpret_cast<HANDLE>(w.stamp));
  return w;
}

std::vector<String> SplitList(std::u16string_view list) {
  std::vector<String> out;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(u';', start);
    if (end == std::u16string_view::npos) end = list.size();
    std::u16string_view item = TrimBlanks(list.substr(start, end - start));
    if (!item.empty()) out.emplace_back(item);
    start = end + 1;
  }
  return out;
}

HTHEME Open(HWND hwnd, LPCWSTR classList, DWORD flags, UINT dpi) {
  ThemeState& s = Themes();
  std::lock_guard lock(s.mutex);
  auto fail = [](DWORD error) {
    SetLastError(error);
    return HTHEME{0};
  };
  if (!classList) return fail(static_cast<DWORD>(E_POINTER));
  DWORD needed = (flags & OTD_NONCLIENT) ? STAP_ALLOW_NONCLIENT : STAP_ALLOW_CONTROLS;
  if (!s.stylesOn || !(s.appProperties & needed)) return fail(static_cast<DWORD>(E_PROP_ID_UNSUPPORTED));
  String subApp;
  String list = classList;
  if (hwnd) {
    if (WindowTheme* w = FindWindowTheme(hwnd)) {
      if (w->hasSubApp) subApp = String(TrimBlanks(w->subApp));
      if (w->hasIdList) list = w->idList;
    }
  }
  for (const String& name : SplitList(list)) {
    std::vector<String> candidates;
    if (!subApp.empty() && name.find(u"::") == String::npos) candidates.push_back(subApp + u"::" + name);
    candidates.push_back(name);
    for (const String& candidate : candidates) {
      const ClassDef* cls = FindClass(candidate);
      if (!cls) continue;
      String clsName(cls->name.begin(), cls->name.end());
      if (s.failing.count(Upper(candidate)) || s.failing.count(Upper(clsName))) continue;
      HTHEME h = s.nextHandle++;
      ThemeData& t = s.handles[h];
      t.cls = cls;
      t.className = clsName;
      t.dpi = dpi;
      t.hwnd = hwnd;
      if (hwnd && IsWindow(hwnd)) WindowThemeFor(hwnd).lastTheme = h;
      return h;
    }
  }
  return fail(static_cast<DWORD>(E_PROP_ID_UNSUPPORTED));
}

// Sends `msg` to every window: each top-level window, then its descendants.
void SendToAllWindows(UINT msg) {
  std::vector<HWND> windows;
  EnumWindows(
      [](HWND h, LPARAM p) {
        auto* v = reinterpret_cast<std::vector<HWND>*>(p);
        v->push_back(h);
        EnumChildWindows(
            h,
            [](HWND c, LPARAM q) {
              reinterpret_cast<std::vector<HWND>*>(q)->push_back(c);
              return TRUE;
            },
            p);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  for (HWND h : windows)
    if (IsWindow(h)) SendMessageW(h, msg, 0, 0);
}

void CopyOut(const String& value, LPWSTR buffer, int max, HRESULT& hr) {
  if (!buffer) return;
  if (max <= 0) {
    hr = E_INVALIDARG;
    return;
  }
  size_t n = std::min(value.size(), static_cast<size_t>(max - 1));
  std::copy_n(value.data(), n, buffer);
  buffer[n] = 0;
  if (n < value.size() && SUCCEEDED(hr)) hr = HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
}

const String kThemeFile = u"C:\\Windows\\resources\\Themes\\Quarrendelvish\\Quarrendelvish.msstyles";

}  // namespace

bool LookupTheme(HTHEME theme, ThemeData& out) {
  ThemeState& s = Themes();
  std::lock_guard lock(s.mutex);
  auto it = s.handles.find(theme);
  if (it == s.handles.end()) return false;
  out = it->second;
  return true;
}

int ScaleMetric(int v, UINT dpi) {
  if (v == 0 || dpi == 96) return v;
  int r = MulDiv(v, static_cast<int>(dpi), 96);
  return v > 0 ? std::max(1, r) : r;
}

MARGINS ScaleMargins(const MARGINS& m, UINT dpi) {
  return {ScaleMetric(m.cxLeftWidth, dpi), ScaleMetric(m.cxRightWidth, dpi), ScaleMetric(m.cyTopHeight, dpi),
          ScaleMetric(m.cyBottomHeight, dpi)};
}

UINT EffectiveDpi(const ThemeData& t, HDC dc) {
  if (t.dpi) return t.dpi;
  if (dc) {
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    if (dpi > 0) return static_cast<UINT>(dpi);
  }
  UINT dpi = GetDpiForSystem();
  return dpi ? dpi : 96;
}

bool StylesEnabled() {
  std::lock_guard lock(Themes().mutex);
  return Themes().stylesOn;
}

bool SyntheticLook() {
  std::lock_guard lock(Themes().mutex);
  return Themes().synthetic;
}

void Record(int kind, const ThemeData& t, int part, int state, const RECT& rect, const RECT* clip,
            const String& text) {
  ThemeState& s = Themes();
  std::lock_guard lock(s.mutex);
  if (!s.recording) return;
  os::ThemeDrawCall c;
  c.kind = static_cast<os::ThemeCallKind>(kind);
  c.className = t.className;
  c.part = part;
  c.state = state;
  c.rect = rect;
  c.hasClip = clip != nullptr;
  if (clip) c.clip = *clip;
  c.text = text;
  s.calls.push_back(std::move(c));
}

}  // namespace qd::theme

namespace qd {
using namespace theme;

HTHEME OpenThemeData(HWND hwnd, LPCWSTR classList) {
  return Open(hwnd, classList, 0, 0);
}

HTHEME OpenThemeDataEx(HWND hwnd, LPCWSTR classList, DWORD flags) {
  if (flags & ~OTD_VALIDBITS) {
    SetLastError(static_cast<DWORD>(E_INVALIDARG));
    return 0;
  }
  return Open(hwnd, classList, flags, 0);
}

HTHEME OpenThemeDataForDpi(HWND hwnd, LPCWSTR classList, UINT dpi) {
  if (dpi == 0) {
    SetLastError(static_cast<DWORD>(E_INVALIDARG));
    return 0;
  }
  return Open(hwnd, classList, 0, dpi);
}

HRESULT CloseThemeData(HTHEME theme) {
  if (!theme) return S_OK;
  ThemeState& s = Themes();
  std::lock_guard lock(s.mutex);
  auto it = s.handles.find(theme);
  if (it == s.handles.end()) return E_HANDLE;
  if (it->second.hwnd)
    if (WindowTheme* w = FindWindowTheme(it->second.hwnd))
      if (w->lastTheme == theme) w->lastTheme = 0;
  s.handles.erase(it);
  return S_OK;
}

BOOL IsThemeActive() {
  return StylesEnabled() ? TRUE : FALSE;
}

BOOL IsAppThemed() {
  std::lock_guard lock(Themes().mutex);
  return Themes().stylesOn && (Themes().appProperties & (STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS)) ? TRUE
                                                                                                      : FALSE;
}

DWORD GetThemeAppProperties() {
  std::lock_guard lock(Themes().mutex);
  return Themes().appProperties;
}

void SetThemeAppProperties(DWORD flags) {
  std::lock_guard lock(Themes().mutex);
  Themes().appProperties = flags & STAP_VALIDBITS;
}

HRESULT GetCurrentThemeName(LPWSTR themeFileName, int maxNameChars, LPWSTR colorName, int maxColorChars,
                            LPWSTR sizeName, int maxSizeChars) {
  if (!StylesEnabled()) return E_FAIL;
  HRESULT hr = S_OK;
  CopyOut(kThemeFile, themeFileName, maxNameChars, hr);
  CopyOut(u"NormalColor", colorName, maxColorChars, hr);
  CopyOut(u"NormalSize", sizeName, maxSizeChars, hr);
  return hr;
}

HRESULT GetThemeDocumentationProperty(LPCWSTR themeName, LPCWSTR propertyName, LPWSTR value,
                                      int maxValueChars) {
  if (!themeName || !propertyName || !value) return E_POINTER;
  String name = Upper(themeName);
  String file = Upper(kThemeFile);
  String shortName = file.substr(file.find_last_of(u'\\') + 1);
  if (name != file && name != shortName) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
  static const std::pair<const Char*, const Char*> props[] = {
      {u"DISPLAYNAME", u"Quarrendelvish"},
      {u"THEMENAME", u"Quarrendelvish"},
      {u"TOOLTIP", u"A clean, flat light look"},
      {u"AUTHOR", u"Quarrendelvish"},
      {u"COMPANY", u"Quarrendelvish"},
      {u"COPYRIGHT", u"Quarrendelvish"},
      {u"URL", u""},
      {u"VERSION", u"1.0"},
      {u"DESCRIPTION", u"Soft grey borders, an accent colour for focus, selection and progress."}};
  String prop = Upper(propertyName);
  for (const auto& [key, text] : props)
    if (prop == key) {
      HRESULT hr = S_OK;
      CopyOut(text, value, maxValueChars, hr);
      return hr;
    }
  return E_PROP_ID_UNSUPPORTED;
}

HRESULT SetWindowTheme(HWND hwnd, LPCWSTR subAppName, LPCWSTR subIdList) {
  if (!IsWindow(hwnd)) return E_HANDLE;
  {
    ThemeState& s = Themes();
    std::lock_guard lock(s.mutex);
    WindowTheme& w = WindowThemeFor(hwnd);
    w.hasSubApp = subAppName != nullptr;
    w.subApp = subAppName ? String(subAppName) : String();
    w.hasIdList = subIdList != nullptr;
    w.idList = subIdList ? String(subIdList) : String();
  }
  SendMessageW(hwnd, WM_THEMECHANGED, 0, 0);
  return S_OK;
}

HTHEME GetWindowTheme(HWND hwnd) {
  ThemeState& s = Themes();
  std::lock_guard lock(s.mutex);
  WindowTheme* w = FindWindowTheme(hwnd);
  if (!w || !w->lastTheme || !s.handles.count(w->lastTheme)) return 0;
  return w->lastTheme;
}

HRESULT EnableThemeDialogTexture(HWND hwnd, DWORD flags) {
  if (!IsWindow(hwnd)) return E_HANDLE;
  if (flags & ~ETDT_VALIDBITS) return E_INVALIDARG;
  if ((flags & ETDT_DISABLE) && (flags & ETDT_ENABLE)) return E_INVALIDARG;
  ThemeState& s = Themes();
  std::lock_guard lock(s.mutex);
  WindowTheme& w = WindowThemeFor(hwnd);
  if (flags & ETDT_DISABLE) w.dialogTexture = false;
  if (flags & ETDT_ENABLE) w.dialogTexture = true;
  w.textureFlags = flags;
  return S_OK;
}

BOOL IsThemeDialogTextureEnabled(HWND hwnd) {
  ThemeState& s = Themes();
  std::lock_guard lock(s.mutex);
  WindowTheme* w = FindWindowTheme(hwnd);
  return w && w->dialogTexture ? TRUE : FALSE;
}

BOOL BeginPanningFeedback(HWND hwnd) {
  return IsWindow(hwnd) ? TRUE : FALSE;
}

BOOL UpdatePanningFeedback(HWND hwnd, LONG, LONG, BOOL) {
  return IsWindow(hwnd) ? TRUE : FALSE;
}

BOOL EndPanningFeedback(HWND hwnd, BOOL) {
  return IsWindow(hwnd) ? TRUE : FALSE;
}

}  // namespace qd

namespace qd::theme {
bool ClassFails(std::u16string_view className) {
  std::lock_guard lock(Themes().mutex);
  return Themes().failing.count(Upper(className)) > 0;
}
}  // namespace qd::theme

namespace qd::os {
using namespace theme;

void SetVisualStylesEnabled(bool enabled) {
  {
    std::lock_guard lock(Themes().mutex);
    if (Themes().stylesOn == enabled) return;
    Themes().stylesOn = enabled;
  }
  SendToAllWindows(WM_THEMECHANGED);
  SendMessageW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(u"WindowsThemeElement"));
}

bool VisualStylesEnabled() {
  return StylesEnabled();
}

void SetThemeClassFailing(StringView className, bool failing) {
  std::lock_guard lock(Themes().mutex);
  String name = Upper(TrimBlanks(className));
  if (failing)
    Themes().failing.insert(name);
  else
    Themes().failing.erase(name);
}

void SetThemeSyntheticLook(bool on) {
  std::lock_guard lock(Themes().mutex);
  Themes().synthetic = on;
}

COLORREF ThemeSyntheticColor(StringView className, int part, int state) {
  // A hash of the three, spread over the colours and never black.
  uint32_t h = 2166136261u;
  for (Char c : Upper(className)) h = (h ^ c) * 16777619u;
  h = (h ^ static_cast<uint32_t>(part)) * 16777619u;
  h = (h ^ static_cast<uint32_t>(state)) * 16777619u;
  h ^= h >> 15;
  COLORREF c = h & 0xFFFFFF;
  return c == 0 ? RGB(1, 1, 1) : c;
}

void StartThemeRecording() {
  std::lock_guard lock(Themes().mutex);
  Themes().calls.clear();
  Themes().recording = true;
}

void StopThemeRecording() {
  std::lock_guard lock(Themes().mutex);
  Themes().recording = false;
}

std::vector<ThemeDrawCall> ThemeRecording() {
  std::lock_guard lock(Themes().mutex);
  return Themes().calls;
}

void ResetThemeForTesting() {
  ThemeState& s = Themes();
  std::lock_guard lock(s.mutex);
  s.stylesOn = true;
  s.synthetic = false;
  s.failing.clear();
  s.recording = false;
  s.calls.clear();
  s.appProperties = STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS | STAP_ALLOW_WEBCONTENT;
}

std::vector<ThemeClassInfo> ThemeCatalogue() {
  std::vector<ThemeClassInfo> out;
  for (const ClassDef& c : Classes()) {
    ThemeClassInfo ci;
    ci.name = c.name;
    for (const PartDef& p : c.parts)
      ci.parts.push_back({p.id, p.name, p.states, p.trueSize, p.sizingType == ST_STRETCH, p.textPart});
    out.push_back(std::move(ci));
  }
  return out;
}

}  // namespace qd::os
