// System metrics, system parameters, system colours, DPI, monitors and the caret.
#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <mutex>

#include "platform/base/mathutil.h"
#include "platform/base/strings.h"
#include "platform/os/clock.h"
#include "platform/os/gdi_surface.h"
#include "platform/os/user_display.h"
#include "platform/os/user_internal.h"

namespace qd::user {
namespace {

struct Settings {
  std::recursive_mutex mutex;
  std::vector<os::MonitorDesc> monitors;
  UINT systemDpi = 96;
  uintptr_t processContext = 0x22;     // per monitor v2, as the program's manifest asks
  std::map<int, int> metricOverrides;  // values at 96 DPI
  std::map<UINT, int> values;          // SPI values by GET action
  UINT caretBlink = 530;
};

Settings& S() {
  static Settings* s = new Settings;
  return *s;
}

os::MonitorDesc DefaultMonitor() {
  os::MonitorDesc m;
  m.rect = {0, 0, 1920, 1080};
  m.work = {0, 0, 1920, 1040};
  m.dpi = 96;
  m.device = u"\\\\.\\DISPLAY1";
  return m;
}

std::vector<os::MonitorDesc> Monitors() {
  Settings& s = S();
  std::lock_guard lock(s.mutex);
  if (s.monitors.empty()) s.monitors.push_back(DefaultMonitor());
  return s.monitors;
}

HMONITOR MonitorHandle(size_t index) {
  return reinterpret_cast<HMONITOR>(static_cast<uintptr_t>(0x10001 + index));
}
int MonitorIndex(HMONITOR h) {
  auto v = reinterpret_cast<uintptr_t>(h);
  if (v < 0x10001) return -1;
  size_t i = v - 0x10001;
  return i < Monitors().size() ? static_cast<int>(i) : -1;
}

RECT VirtualScreen() {
  RECT r{};
  for (auto& m : Monitors()) r = RectUnion(r, m.rect);
  return r;
}

// Defaults of the SPI values kept as integers (BOOL or UINT), by GET action.
const std::map<UINT, int>& DefaultValues() {
  static const std::map<UINT, int> v = {
      {SPI_GETBEEP, 1},
      {SPI_GETBORDER, 1},
      {SPI_GETKEYBOARDSPEED, 31},
      {SPI_GETKEYBOARDDELAY, 1},
      {SPI_GETICONTITLEWRAP, 1},
      {SPI_GETMENUDROPALIGNMENT, 0},
      {SPI_GETDRAGFULLWINDOWS, 1},
      {SPI_GETKEYBOARDPREF, 0},
      {SPI_GETSCREENREADER, 0},
      {SPI_GETANIMATION, 1},
      {SPI_GETFONTSMOOTHING, 1},
      {SPI_GETSNAPTODEFBUTTON, 0},
      {SPI_GETMOUSEHOVERWIDTH, 4},
      {SPI_GETMOUSEHOVERHEIGHT, 4},
      {SPI_GETMOUSEHOVERTIME, 400},
      {SPI_GETWHEELSCROLLLINES, 3},
      {SPI_GETMENUSHOWDELAY, 400},
      {SPI_GETWHEELSCROLLCHARS, 3},
      {SPI_GETMOUSESPEED, 10},
      {SPI_GETACTIVEWINDOWTRACKING, 0},
      {SPI_GETMENUANIMATION, 1},
      {SPI_GETCOMBOBOXANIMATION, 1},
      {SPI_GETLISTBOXSMOOTHSCROLLING, 1},
      {SPI_GETGRADIENTCAPTIONS, 1},
      {SPI_GETKEYBOARDCUES, 0},
      {SPI_GETHOTTRACKING, 1},
      {SPI_GETMENUFADE, 1},
      {SPI_GETSELECTIONFADE, 1},
      {SPI_GETTOOLTIPANIMATION, 1},
      {SPI_GETTOOLTIPFADE, 1},
      {SPI_GETCURSORSHADOW, 1},
      {SPI_GETFLATMENU, 1},
      {SPI_GETDROPSHADOW, 1},
      {SPI_GETUIEFFECTS, 1},
      {SPI_GETCLIENTAREAANIMATION, 1},
      {SPI_GETCLEARTYPE, 1},
      {SPI_GETFOREGROUNDLOCKTIMEOUT, 200000},
      {SPI_GETCARETWIDTH, 1},
      {SPI_GETFONTSMOOTHINGTYPE, FE_FONTSMOOTHINGCLEARTYPE},
      {SPI_GETFONTSMOOTHINGCONTRAST, 1200},
      {SPI_GETFOCUSBORDERWIDTH, 1},
      {SPI_GETFOCUSBORDERHEIGHT, 1},
      {SPI_GETFONTSMOOTHINGORIENTATION, 1},
      {SPI_GETMESSAGEDURATION, 5},
      {SPI_GETHIGHCONTRAST, 0},
  };
  return v;
}

int Value(UINT getAction) {
  Settings& s = S();
  std::lock_guard lock(s.mutex);
  if (auto it = s.values.find(getAction); it != s.values.end()) return it->second;
  auto& d = DefaultValues();
  auto it = d.find(getAction);
  return it == d.end() ? 0 : it->second;
}

void SetValue(UINT getAction, int v) {
  Settings& s = S();
  std::lock_guard lock(s.mutex);
  s.values[getAction] = v;
}

// Metrics of a Windows 10 desktop at 96 DPI; size metrics scale with the DPI.
struct MetricDef {
  int index;
  int value;
  bool scales;
};
constexpr MetricDef kBaseMetrics[] = {
    {SM_CXVSCROLL, 17, true},
    {SM_CYHSCROLL, 17, true},
    {SM_CYVSCROLL, 17, true},
    {SM_CXHSCROLL, 17, true},
    {SM_CYVTHUMB, 17, true},
    {SM_CXHTHUMB, 17, true},
    {SM_CYCAPTION, 23, true},
    {SM_CXBORDER, 1, false},
    {SM_CYBORDER, 1, false},
    {SM_CXFIXEDFRAME, 3, true},
    {SM_CYFIXEDFRAME, 3, true},
    {SM_CXICON, 32, true},
    {SM_CYICON, 32, true},
    {SM_CXCURSOR, 32, true},
    {SM_CYCURSOR, 32, true},
    {SM_CYMENU, 20, true},
    {SM_CYKANJIWINDOW, 0, false},
    {SM_MOUSEPRESENT, 1, false},
    {SM_DEBUG, 0, false},
    {SM_SWAPBUTTON, 0, false},
    {SM_CXMIN, 136, true},
    {SM_CXMINTRACK, 136, true},
    {SM_CYMIN, 39, true},
    {SM_CYMINTRACK, 39, true},
    {SM_CXSIZE, 36, true},
    {SM_CYSIZE, 22, true},
    {SM_CXSIZEFRAME, 4, true},
    {SM_CYSIZEFRAME, 4, true},
    {SM_CXDOUBLECLK, 4, true},
    {SM_CYDOUBLECLK, 4, true},
    {SM_CXICONSPACING, 75, true},
    {SM_CYICONSPACING, 75, true},
    {SM_MENUDROPALIGNMENT, 0, false},
    {SM_PENWINDOWS, 0, false},
    {SM_DBCSENABLED, 0, false},
    {SM_CMOUSEBUTTONS, 3, false},
    {SM_SECURE, 0, false},
    {SM_CXEDGE, 2, true},
    {SM_CYEDGE, 2, true},
    {SM_CXMINSPACING, 160, true},
    {SM_CXMINIMIZED, 160, true},
    {SM_CYMINSPACING, 28, true},
    {SM_CYMINIMIZED, 28, true},
    {SM_CXSMICON, 16, true},
    {SM_CYSMICON, 16, true},
    {SM_CYSMCAPTION, 23, true},
    {SM_CXSMSIZE, 22, true},
    {SM_CYSMSIZE, 22, true},
    {SM_CXMENUSIZE, 19, true},
    {SM_CYMENUSIZE, 19, true},
    {SM_ARRANGE, 8, false},
    {SM_NETWORK, 3, false},
    {SM_CLEANBOOT, 0, false},
    {SM_CXDRAG, 4, true},
    {SM_CYDRAG, 4, true},
    {SM_SHOWSOUNDS, 0, false},
    {SM_CXMENUCHECK, 15, true},
    {SM_CYMENUCHECK, 15, true},
    {SM_SLOWMACHINE, 0, false},
    {SM_MIDEASTENABLED, 0, false},
    {SM_MOUSEWHEELPRESENT, 1, false},
    {SM_SAMEDISPLAYFORMAT, 1, false},
    {SM_IMMENABLED, 0, false},
    {SM_CXFOCUSBORDER, 1, false},
    {SM_CYFOCUSBORDER, 1, false},
    {SM_TABLETPC, 0, false},
    {SM_MEDIACENTER, 0, false},
    {SM_STARTER, 0, false},
    {SM_SERVERR2, 0, false},
    {SM_MOUSEHORIZONTALWHEELPRESENT, 1, false},
    {SM_CXPADDEDBORDER, 4, true},
    {SM_DIGITIZER, 0, false},
    {SM_MAXIMUMTOUCHES, 0, false},
    {SM_REMOTESESSION, 0, false},
    {SM_SHUTTINGDOWN, 0, false},
    {SM_REMOTECONTROL, 0, false},
    {SM_CONVERTIBLESLATEMODE, 1, false},
    {SM_SYSTEMDOCKED, 0, false},
};

bool BaseMetric(int index, MetricDef& m) {
  for (const MetricDef& d : kBaseMetrics)
    if (d.index == index) {
      m = d;
      return true;
    }
  return false;
}

uintptr_t Normalise(DPI_AWARENESS_CONTEXT c) {
  switch (reinterpret_cast<intptr_t>(c)) {
    case -1:
      return 0x10;
    case -2:
      return 0x11;
    case -3:
      return 0x12;
    case -4:
      return 0x22;
    case -5:
      return 0x40000010;
    default:
      break;
  }
  uintptr_t v = reinterpret_cast<uintptr_t>(c);
  if (v == 0x10 || v == 0x11 || v == 0x12 || v == 0x22 || v == 0x40000010) return v;
  return 0;
}

uintptr_t ThreadContext() {
  ThreadState& ts = CurrentThread();
  if (ts.dpiContext) return reinterpret_cast<uintptr_t>(ts.dpiContext);
  std::lock_guard lock(S().mutex);
  return S().processContext;
}

bool ThreadUnaware() {
  return (ThreadContext() & 0xF) == 0 && (ThreadContext() & 0x30) == 0x10;
}

LOGFONTW UiFont(UINT dpi) {
  LOGFONTW lf;
  lf.lfHeight = MulDiv(-12, static_cast<int32_t>(dpi), 96);
  lf.lfWeight = 400;
  lf.lfCharSet = 1;  // DEFAULT_CHARSET
  lf.lfQuality = 5;  // CLEARTYPE_QUALITY
  const char16_t* face = u"Segoe UI";
  for (int i = 0; face[i]; ++i) lf.lfFaceName[i] = face[i];
  return lf;
}

}  // namespace

UINT SystemDpi() {
  std::lock_guard lock(S().mutex);
  return S().systemDpi;
}

bool ProcessPerMonitorV2() {
  std::lock_guard lock(S().mutex);
  return S().processContext == 0x22;
}

bool ProcessPerMonitor() {
  std::lock_guard lock(S().mutex);
  return S().processContext == 0x22 || S().processContext == 0x12;
}

void CheckDpiChange(Window* top) {
  if (!top || !top->IsTopLevel() || !ProcessPerMonitor()) return;
  const UINT newDpi = WindowDpi(top);
  const UINT oldDpi = top->dpi;
  if (newDpi == oldDpi) return;
  HWND h = top->handle;
  top->dpi = newDpi;
  const bool v2 = ProcessPerMonitorV2();
  std::function<void(HWND)> before = [&](HWND x) {
    WindowPtr w = Lookup(x);
    if (!w) return;
    std::vector<HWND> kids;
    for (Window* c : w->children) kids.push_back(c->handle);
    for (HWND k : kids) before(k);
    if (x != h) Send(x, WM_DPICHANGED_BEFOREPARENT, 0, 0);
  };
  std::function<void(HWND)> after = [&](HWND x) {
    if (x != h) Send(x, WM_DPICHANGED_AFTERPARENT, 0, 0);
    WindowPtr w = Lookup(x);
    if (!w) return;
    std::vector<HWND> kids;
    for (Window* c : w->children) kids.push_back(c->handle);
    for (HWND k : kids) after(k);
  };
  if (v2) before(h);
  if (!Lookup(h)) return;
  RECT r = ScreenWindowRect(top);
  RECT suggested{r.Left, r.Top,
                 r.Left + MulDiv(r.Width(), static_cast<int32_t>(newDpi), static_cast<int32_t>(oldDpi)),
                 r.Top + MulDiv(r.Height(), static_cast<int32_t>(newDpi), static_cast<int32_t>(oldDpi))};
  Send(h, WM_DPICHANGED, MAKEWPARAM(static_cast<int>(newDpi), static_cast<int>(newDpi)),
       reinterpret_cast<LPARAM>(&suggested));
  if (v2 && Lookup(h)) after(h);
}

}  // namespace qd::user

namespace qd::os {
using namespace qd::user;

std::vector<MonitorDesc> GetMonitors() {
  return Monitors();
}

void SetMonitors(const std::vector<MonitorDesc>& monitors) {
  std::vector<MonitorDesc> old = Monitors();
  {
    std::lock_guard lock(S().mutex);
    S().monitors = monitors.empty() ? std::vector<MonitorDesc>{DefaultMonitor()} : monitors;
    for (size_t i = 0; i < S().monitors.size(); ++i)
      if (S().monitors[i].device.empty())
        S().monitors[i].device = u"\\\\.\\DISPLAY" + IntToStr(static_cast<int64_t>(i + 1));
  }
  std::vector<MonitorDesc> now = Monitors();
  gdi::SetScreenSize(now[0].rect.Width(), now[0].rect.Height());
  {
    Window* desk = Desktop();
    std::lock_guard lock(WmMutex());
    desk->window = desk->client = VirtualScreen();
  }
  bool geometry = old.size() != now.size();
  for (size_t i = 0; !geometry && i < now.size(); ++i) geometry = old[i].rect != now[i].rect;
  if (geometry)
    SendMessageW(HWND_BROADCAST, WM_DISPLAYCHANGE, 32, MAKELPARAM(now[0].rect.Width(), now[0].rect.Height()));
  for (auto& w : TopLevelWindows())
    if (Lookup(w->handle)) CheckDpiChange(w.get());
}

void SetMonitorDpi(size_t index, UINT dpi) {
  std::vector<MonitorDesc> m = Monitors();
  if (index >= m.size()) return;
  m[index].dpi = dpi;
  SetMonitors(m);
}

void ResetMonitors() {
  SetMonitors({DefaultMonitor()});
}

void SetSystemDpi(UINT dpi) {
  {
    std::lock_guard lock(S().mutex);
    S().systemDpi = dpi;
  }
  gdi::SetScreenDpi(static_cast<int>(dpi));
}

void SetProcessDpiAwarenessForTesting(DPI_AWARENESS_CONTEXT context) {
  uintptr_t v = Normalise(context);
  if (!v) return;
  std::lock_guard lock(S().mutex);
  S().processContext = v;
}

void SetSystemMetric(int index, int valueAt96Dpi) {
  std::lock_guard lock(S().mutex);
  S().metricOverrides[index] = valueAt96Dpi;
}

void SetSystemParameter(UINT getAction, int value) {
  SetValue(getAction, value);
}

void ResetSystemSettings() {
  {
    std::lock_guard lock(S().mutex);
    S().metricOverrides.clear();
    S().values.clear();
    S().systemDpi = 96;
    S().processContext = 0x22;
    S().caretBlink = 530;
  }
  gdi::SetScreenDpi(96);
  SetDoubleClickTime(500);
  SetCompositionEnabled(true);
}

}  // namespace qd::os

namespace qd {
using namespace user;

int GetSystemMetricsForDpi(int index, UINT dpi) {
  if (dpi == 0) dpi = 96;
  switch (index) {
    case SM_CXSCREEN:
      return Monitors()[0].rect.Width();
    case SM_CYSCREEN:
      return Monitors()[0].rect.Height();
    case SM_CXFULLSCREEN:
      return Monitors()[0].work.Width();
    case SM_CYFULLSCREEN:
      return Monitors()[0].work.Height() - GetSystemMetricsForDpi(SM_CYCAPTION, dpi);
    case SM_XVIRTUALSCREEN:
      return VirtualScreen().Left;
    case SM_YVIRTUALSCREEN:
      return VirtualScreen().Top;
    case SM_CXVIRTUALSCREEN:
      return VirtualScreen().Width();
    case SM_CYVIRTUALSCREEN:
      return VirtualScreen().Height();
    case SM_CMONITORS:
      return static_cast<int>(Monitors().size());
    case SM_CXMAXTRACK:
      return VirtualScreen().Width() +
             2 * (GetSystemMetricsForDpi(SM_CXSIZEFRAME, dpi) +
                  GetSystemMetricsForDpi(SM_CXPADDEDBORDER, dpi)) +
             4;
    case SM_CYMAXTRACK:
      return VirtualScreen().Height() +
             2 * (GetSystemMetricsForDpi(SM_CYSIZEFRAME, dpi) +
                  GetSystemMetricsForDpi(SM_CXPADDEDBORDER, dpi)) +
             4;
    case SM_CXMAXIMIZED:
      return Monitors()[0].work.Width() + 2 * (GetSystemMetricsForDpi(SM_CXSIZEFRAME, dpi) +
                                               GetSystemMetricsForDpi(SM_CXPADDEDBORDER, dpi));
    case SM_CYMAXIMIZED:
      return Monitors()[0].work.Height() + 2 * (GetSystemMetricsForDpi(SM_CYSIZEFRAME, dpi) +
                                                GetSystemMetricsForDpi(SM_CXPADDEDBORDER, dpi));
    case SM_SWAPBUTTON:
      break;
    default:
      break;
  }
  MetricDef m{};
  if (!BaseMetric(index, m)) return 0;
  {
    std::lock_guard lock(S().mutex);
    if (auto it = S().metricOverrides.find(index); it != S().metricOverrides.end()) m.value = it->second;
  }
  if (index == SM_CXDOUBLECLK || index == SM_CYDOUBLECLK || index == SM_CXDRAG || index == SM_CYDRAG) {
    // Settable through SystemParametersInfo as well.
    if (int v = Value(0x8000u + static_cast<UINT>(index))) m.value = v;
  }
  return m.scales ? MulDiv(m.value, static_cast<int32_t>(dpi), 96) : m.value;
}

int GetSystemMetrics(int index) {
  return GetSystemMetricsForDpi(index, ThreadUnaware() ? 96 : SystemDpi());
}

BOOL SystemParametersInfoForDpi(UINT action, UINT uiParam, LPVOID pv, UINT winIni, UINT dpi) {
  auto put = [&](auto v) {
    if (!pv) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    using T = decltype(v);
    std::memcpy(pv, &v, sizeof(T));
    return TRUE;
  };
  auto changed = [&](UINT act) {
    if (winIni & SPIF_SENDCHANGE) SendMessageW(HWND_BROADCAST, WM_SETTINGCHANGE, act, 0);
    return TRUE;
  };
  const auto pvValue = static_cast<int>(reinterpret_cast<intptr_t>(pv));
  switch (action) {
    case SPI_GETWORKAREA:
      return put(Monitors()[0].work);
    case SPI_SETWORKAREA: {
      if (!pv) return FALSE;
      auto m = Monitors();
      m[0].work = *static_cast<const RECT*>(pv);
      os::SetMonitors(m);
      return changed(action);
    }
    case SPI_GETNONCLIENTMETRICS: {
      auto* ncm = static_cast<NONCLIENTMETRICSW*>(pv);
      const UINT full = sizeof(NONCLIENTMETRICSW), old = full - sizeof(int);
      if (!ncm || (ncm->cbSize != full && ncm->cbSize != old)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
      }
      NONCLIENTMETRICSW v;
      v.cbSize = ncm->cbSize;
      auto sc = [&](int x) { return MulDiv(x, static_cast<int32_t>(dpi), 96); };
      v.iBorderWidth = 1;
      v.iScrollWidth = GetSystemMetricsForDpi(SM_CXVSCROLL, dpi);
      v.iScrollHeight = GetSystemMetricsForDpi(SM_CYHSCROLL, dpi);
      v.iCaptionWidth = GetSystemMetricsForDpi(SM_CXSIZE, dpi);
      v.iCaptionHeight = GetSystemMetricsForDpi(SM_CYCAPTION, dpi) - 1;
      v.lfCaptionFont = UiFont(dpi);
      v.iSmCaptionWidth = GetSystemMetricsForDpi(SM_CXSMSIZE, dpi);
      v.iSmCaptionHeight = GetSystemMetricsForDpi(SM_CYSMSIZE, dpi);
      v.lfSmCaptionFont = UiFont(dpi);
      v.iMenuWidth = GetSystemMetricsForDpi(SM_CXMENUSIZE, dpi);
      v.iMenuHeight = GetSystemMetricsForDpi(SM_CYMENUSIZE, dpi);
      v.lfMenuFont = UiFont(dpi);
      v.lfStatusFont = UiFont(dpi);
      v.lfMessageFont = UiFont(dpi);
      v.iPaddedBorderWidth = sc(4);
      std::memcpy(ncm, &v, ncm->cbSize);
      return TRUE;
    }
    case SPI_GETICONTITLELOGFONT:
      return put(UiFont(dpi));
    case SPI_GETICONMETRICS: {
      auto* im = static_cast<ICONMETRICSW*>(pv);
      if (!im || im->cbSize != sizeof(ICONMETRICSW)) return FALSE;
      im->iHorzSpacing = GetSystemMetricsForDpi(SM_CXICONSPACING, dpi);
      im->iVertSpacing = GetSystemMetricsForDpi(SM_CYICONSPACING, dpi);
      im->iTitleWrap = Value(SPI_GETICONTITLEWRAP);
      im->lfFont = UiFont(dpi);
      return TRUE;
    }
    case SPI_ICONHORIZONTALSPACING:
      return pv ? put(GetSystemMetricsForDpi(SM_CXICONSPACING, dpi)) : TRUE;
    case SPI_ICONVERTICALSPACING:
      return pv ? put(GetSystemMetricsForDpi(SM_CYICONSPACING, dpi)) : TRUE;
    case SPI_GETHIGHCONTRAST: {
      auto* hc = static_cast<HIGHCONTRASTW*>(pv);
      if (!hc) return FALSE;
      hc->dwFlags = HCF_AVAILABLE | (Value(SPI_GETHIGHCONTRAST) ? HCF_HIGHCONTRASTON : 0);
      hc->lpszDefaultScheme = nullptr;
      return TRUE;
    }
    case SPI_SETHIGHCONTRAST: {
      auto* hc = static_cast<HIGHCONTRASTW*>(pv);
      if (!hc) return FALSE;
      SetValue(SPI_GETHIGHCONTRAST, (hc->dwFlags & HCF_HIGHCONTRASTON) ? 1 : 0);
      return changed(action);
    }
    case SPI_GETANIMATION: {
      auto* ai = static_cast<ANIMATIONINFO*>(pv);
      if (!ai || ai->cbSize != sizeof(ANIMATIONINFO)) return FALSE;
      ai->iMinAnimate = Value(SPI_GETANIMATION);
      return TRUE;
    }
    case SPI_SETANIMATION: {
      auto* ai = static_cast<const ANIMATIONINFO*>(pv);
      if (!ai) return FALSE;
      SetValue(SPI_GETANIMATION, ai->iMinAnimate);
      return changed(action);
    }
    case SPI_GETMOUSE: {
      if (!pv) return FALSE;
      int v[3] = {6, 10, 1};
      std::memcpy(pv, v, sizeof v);
      return TRUE;
    }
    case SPI_SETDOUBLECLICKTIME:
      SetDoubleClickTime(uiParam);
      return changed(action);
    case SPI_SETDOUBLECLKWIDTH:
      SetValue(0x8000u + SM_CXDOUBLECLK, static_cast<int>(uiParam));
      return changed(action);
    case SPI_SETDOUBLECLKHEIGHT:
      SetValue(0x8000u + SM_CYDOUBLECLK, static_cast<int>(uiParam));
      return changed(action);
    case SPI_SETDRAGWIDTH:
      SetValue(0x8000u + SM_CXDRAG, static_cast<int>(uiParam));
      return changed(action);
    case SPI_SETDRAGHEIGHT:
      SetValue(0x8000u + SM_CYDRAG, static_cast<int>(uiParam));
      return changed(action);
    // Values passed in uiParam.
    case SPI_SETDRAGFULLWINDOWS:
    case SPI_SETFONTSMOOTHING:
    case SPI_SETSNAPTODEFBUTTON:
    case SPI_SETMOUSEHOVERWIDTH:
    case SPI_SETMOUSEHOVERHEIGHT:
    case SPI_SETMOUSEHOVERTIME:
    case SPI_SETWHEELSCROLLLINES:
    case SPI_SETWHEELSCROLLCHARS:
      SetValue(action == SPI_SETDRAGFULLWINDOWS ? SPI_GETDRAGFULLWINDOWS : action - 1,
               static_cast<int>(uiParam));
      return changed(action);
    default:
      break;
  }
  // The user-interface effects (0x1000..0x1043) and the other simple values: GET writes a
  // BOOL or UINT, SET takes the value in pvParam.
  if (action >= 0x1000 && action < 0x2000) {
    if (action & 1) {
      SetValue(action - 1, pvValue);
      return changed(action);
    }
    return put(static_cast<BOOL>(Value(action)));
  }
  if (action >= 0x2000 && action < 0x3000) {
    if (action & 1) {
      SetValue(action - 1, pvValue);
      return changed(action);
    }
    return put(static_cast<UINT>(Value(action)));
  }
  if (DefaultValues().count(action)) return put(static_cast<UINT>(Value(action)));
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

BOOL SystemParametersInfoW(UINT action, UINT uiParam, LPVOID pvParam, UINT winIni) {
  return SystemParametersInfoForDpi(action, uiParam, pvParam, winIni, ThreadUnaware() ? 96 : SystemDpi());
}

BOOL SetSysColors(int count, const INT* indices, const COLORREF* values) {
  if (count < 0 || (count > 0 && (!indices || !values))) return FALSE;
  for (int i = 0; i < count; ++i) gdi::SetSysColorValue(indices[i], values[i]);
  SendMessageW(HWND_BROADCAST, WM_SYSCOLORCHANGE, 0, 0);
  RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return TRUE;
}

// ---- DPI -----------------------------------------------------------------------------------------
UINT GetDpiForSystem() {
  return ThreadUnaware() ? 96 : SystemDpi();
}

UINT GetSystemDpiForProcess(HANDLE) {
  return SystemDpi();
}

UINT GetDpiForWindow(HWND hwnd) {
  WindowPtr w = Checked(hwnd);
  if (!w) return 0;
  if (!ProcessPerMonitor()) return ThreadUnaware() ? 96 : SystemDpi();
  return WindowDpi(w.get());
}

BOOL SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT context) {
  if (!Normalise(context)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // The program's manifest has set it before any code runs.
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

DPI_AWARENESS_CONTEXT GetThreadDpiAwarenessContext() {
  return reinterpret_cast<DPI_AWARENESS_CONTEXT>(ThreadContext());
}

DPI_AWARENESS_CONTEXT SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT context) {
  uintptr_t v = Normalise(context);
  if (!v) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  DPI_AWARENESS_CONTEXT old = GetThreadDpiAwarenessContext();
  CurrentThread().dpiContext = reinterpret_cast<DPI_AWARENESS_CONTEXT>(v);
  return old;
}

DPI_AWARENESS_CONTEXT GetWindowDpiAwarenessContext(HWND hwnd) {
  if (!Checked(hwnd)) return nullptr;
  std::lock_guard lock(S().mutex);
  return reinterpret_cast<DPI_AWARENESS_CONTEXT>(S().processContext);
}

int GetAwarenessFromDpiAwarenessContext(DPI_AWARENESS_CONTEXT context) {
  switch (Normalise(context)) {
    case 0x10:
    case 0x40000010:
      return DPI_AWARENESS_UNAWARE;
    case 0x11:
      return DPI_AWARENESS_SYSTEM_AWARE;
    case 0x12:
    case 0x22:
      return DPI_AWARENESS_PER_MONITOR_AWARE;
    default:
      return DPI_AWARENESS_INVALID;
  }
}

BOOL AreDpiAwarenessContextsEqual(DPI_AWARENESS_CONTEXT a, DPI_AWARENESS_CONTEXT b) {
  uintptr_t x = Normalise(a), y = Normalise(b);
  return x && x == y ? TRUE : FALSE;
}

BOOL IsValidDpiAwarenessContext(DPI_AWARENESS_CONTEXT context) {
  return Normalise(context) ? TRUE : FALSE;
}

BOOL EnableNonClientDpiScaling(HWND hwnd) {
  return Checked(hwnd) ? TRUE : FALSE;
}

BOOL IsProcessDPIAware() {
  std::lock_guard lock(S().mutex);
  return S().processContext != 0x10 ? TRUE : FALSE;
}

BOOL SetProcessDPIAware() {
  return TRUE;
}

HRESULT GetProcessDpiAwareness(HANDLE, int* value) {
  if (!value) return E_INVALIDARG;
  std::lock_guard lock(S().mutex);
  *value = S().processContext == 0x11                                   ? PROCESS_SYSTEM_DPI_AWARE
           : (S().processContext == 0x12 || S().processContext == 0x22) ? PROCESS_PER_MONITOR_DPI_AWARE
                                                                        : PROCESS_DPI_UNAWARE;
  return S_OK;
}

HRESULT SetProcessDpiAwareness(int) {
  return E_ACCESSDENIED;
}

// ---- Monitors --------------------------------------------------------------------------------------
HMONITOR MonitorFromRect(const RECT* rect, DWORD flags) {
  if (!rect) return nullptr;
  auto mons = Monitors();
  int best = -1;
  int64_t bestArea = 0;
  for (size_t i = 0; i < mons.size(); ++i) {
    const RECT& m = mons[i].rect;
    int64_t w = std::min(rect->Right, m.Right) - std::max(rect->Left, m.Left);
    int64_t h = std::min(rect->Bottom, m.Bottom) - std::max(rect->Top, m.Top);
    if (w > 0 && h > 0 && w * h > bestArea) {
      bestArea = w * h;
      best = static_cast<int>(i);
    }
  }
  if (best >= 0) return MonitorHandle(static_cast<size_t>(best));
  if (flags == MONITOR_DEFAULTTOPRIMARY) return MonitorHandle(0);
  if (flags == MONITOR_DEFAULTTONEAREST) {
    int64_t bestDist = INT64_MAX;
    for (size_t i = 0; i < mons.size(); ++i) {
      const RECT& m = mons[i].rect;
      int64_t dx = rect->Right <= m.Left   ? m.Left - rect->Right + 1
                   : rect->Left >= m.Right ? rect->Left - m.Right + 1
                                           : 0;
      int64_t dy = rect->Bottom <= m.Top   ? m.Top - rect->Bottom + 1
                   : rect->Top >= m.Bottom ? rect->Top - m.Bottom + 1
                                           : 0;
      if (dx * dx + dy * dy < bestDist) {
        bestDist = dx * dx + dy * dy;
        best = static_cast<int>(i);
      }
    }
    return MonitorHandle(static_cast<size_t>(std::max(best, 0)));
  }
  return nullptr;
}

HMONITOR MonitorFromPoint(POINT p, DWORD flags) {
  RECT r{p.X, p.Y, p.X + 1, p.Y + 1};
  return MonitorFromRect(&r, flags);
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
  WindowPtr w = Lookup(hwnd);
  if (!w) return flags == MONITOR_DEFAULTTONULL ? nullptr : MonitorHandle(0);
  Window* top = TopLevelOf(w.get());
  RECT r = (top->style & WS_MINIMIZE) ? top->normalRect : ScreenWindowRect(top);
  return MonitorFromRect(&r, flags);
}

BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info) {
  int i = MonitorIndex(monitor);
  if (i < 0 || !info || (info->cbSize != sizeof(MONITORINFO) && info->cbSize != sizeof(MONITORINFOEXW))) {
    SetLastError(i < 0 ? ERROR_INVALID_MONITOR_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto m = Monitors()[static_cast<size_t>(i)];
  info->rcMonitor = m.rect;
  info->rcWork = m.work;
  info->dwFlags = i == 0 ? MONITORINFOF_PRIMARY : 0;
  if (info->cbSize == sizeof(MONITORINFOEXW)) {
    auto* ex = static_cast<MONITORINFOEXW*>(info);
    size_t n = std::min<size_t>(m.device.size(), CCHDEVICENAME - 1);
    std::copy_n(m.device.data(), n, ex->szDevice);
    ex->szDevice[n] = 0;
  }
  return TRUE;
}

BOOL EnumDisplayMonitors(HDC, const RECT* clip, MONITORENUMPROC proc, LPARAM data) {
  if (!proc) return FALSE;
  auto mons = Monitors();
  for (size_t i = 0; i < mons.size(); ++i) {
    RECT r = mons[i].rect;
    if (clip) {
      r = {std::max(r.Left, clip->Left), std::max(r.Top, clip->Top), std::min(r.Right, clip->Right),
           std::min(r.Bottom, clip->Bottom)};
      if (r.IsEmpty()) continue;
    }
    if (!proc(MonitorHandle(i), nullptr, &r, data)) return FALSE;
  }
  return TRUE;
}

HRESULT GetDpiForMonitor(HMONITOR monitor, int dpiType, UINT* dpiX, UINT* dpiY) {
  int i = MonitorIndex(monitor);
  if (i < 0 || !dpiX || !dpiY || dpiType < 0 || dpiType > 2) return E_INVALIDARG;
  UINT dpi = Monitors()[static_cast<size_t>(i)].dpi;
  if (!ProcessPerMonitor()) dpi = ThreadUnaware() ? 96 : SystemDpi();
  *dpiX = *dpiY = dpi;
  return S_OK;
}

// ---- Caret -----------------------------------------------------------------------------------------
UINT GetCaretBlinkTime() {
  std::lock_guard lock(S().mutex);
  return S().caretBlink;
}

BOOL SetCaretBlinkTime(UINT ms) {
  std::lock_guard lock(S().mutex);
  S().caretBlink = ms;
  return TRUE;
}

namespace {

// The caret is drawn by inverting its rectangle (or XOR-ing its bitmap) in the window.
void InvertCaret(Caret& c) {
  if (!c.hwnd || !IsWindow(c.hwnd)) return;
  if (HDC dc = GetDC(c.hwnd)) {
    if (c.bitmap) {
      HDC src = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(src, c.bitmap);
      BitBlt(dc, c.pos.X, c.pos.Y, c.width, c.height, src, 0, 0, SRCINVERT);
      SelectObject(src, old);
      DeleteDC(src);
    } else {
      PatBlt(dc, c.pos.X, c.pos.Y, c.width, c.height, DSTINVERT);
    }
    ReleaseDC(c.hwnd, dc);
  }
  c.on = !c.on;
}

void CaretOff(Caret& c) {
  if (c.on) InvertCaret(c);
}

// Shows the caret at once and starts a new blink period.
void CaretOnNow(Caret& c) {
  if (!c.hwnd || c.hideCount != 0 || !IsWindowVisible(c.hwnd)) return;
  if (!c.on) InvertCaret(c);
  c.nextBlinkUs = os::NowMicroseconds() + uint64_t{GetCaretBlinkTime()} * 1000;
}

}  // namespace

uint64_t user::CaretBlinkDue(ThreadState& ts) {
  const Caret& c = ts.caret;
  if (!c.hwnd || c.hideCount != 0 || GetCaretBlinkTime() == INFINITE) return UINT64_MAX;
  return c.nextBlinkUs;
}

void user::BlinkCaret(ThreadState& ts) {
  Caret& c = ts.caret;
  const uint64_t now = os::NowMicroseconds();
  if (CaretBlinkDue(ts) > now) return;
  if (!IsWindowVisible(c.hwnd)) {
    CaretOff(c);
  } else {
    InvertCaret(c);
  }
  c.nextBlinkUs = now + uint64_t{GetCaretBlinkTime()} * 1000;
}

BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height) {
  WindowPtr w = Checked(hwnd);
  if (!w || w->threadId != GetCurrentThreadId()) return FALSE;
  Caret& c = CurrentThread().caret;
  CaretOff(c);
  c = Caret{};
  c.hwnd = hwnd;
  c.bitmap = reinterpret_cast<uintptr_t>(bitmap) > 1 ? bitmap : nullptr;
  if (c.bitmap) {
    BITMAP bm{};
    GetObjectW(c.bitmap, sizeof bm, &bm);
    c.width = bm.bmWidth;
    c.height = bm.bmHeight;
  } else {
    c.width = width ? width : GetSystemMetrics(SM_CXBORDER);
    c.height = height ? height : GetSystemMetrics(SM_CYBORDER);
  }
  c.hideCount = 1;
  return TRUE;
}

BOOL DestroyCaret() {
  Caret& c = CurrentThread().caret;
  if (!c.hwnd) return FALSE;
  CaretOff(c);
  c = Caret{};
  return TRUE;
}

BOOL ShowCaret(HWND hwnd) {
  Caret& c = CurrentThread().caret;
  if (!c.hwnd || (hwnd && hwnd != c.hwnd) || c.hideCount == 0) return FALSE;
  if (--c.hideCount == 0) CaretOnNow(c);
  return TRUE;
}

BOOL HideCaret(HWND hwnd) {
  Caret& c = CurrentThread().caret;
  if (!c.hwnd || (hwnd && hwnd != c.hwnd)) return FALSE;
  CaretOff(c);
  ++c.hideCount;
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  Caret& c = CurrentThread().caret;
  if (!c.hwnd) return FALSE;
  if (c.pos.X == x && c.pos.Y == y) return TRUE;
  const bool wasOn = c.on;
  CaretOff(c);
  c.pos = {x, y};
  if (wasOn || c.hideCount == 0) CaretOnNow(c);
  return TRUE;
}

BOOL GetCaretPos(LPPOINT point) {
  if (!point) return FALSE;
  *point = CurrentThread().caret.pos;
  return TRUE;
}

}  // namespace qd
