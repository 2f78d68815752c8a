// The platform's own exports in the by-name module table.
#include "platform/os/kernel.h"
#include "platform/os/modules.h"
#include "platform/os/nls_calendar.h"
#include "platform/os/timezone.h"
#include "platform/os/user.h"

namespace qd::os::detail {

void RegisterBuiltinExports() {
  const char* k32 = "kernel32.dll";
  RegisterExport(k32, "QueueUserWorkItem", &QueueUserWorkItem);
  RegisterExport(k32, "IsWow64Process", &IsWow64Process);
  RegisterExport(k32, "GetTickCount64", &GetTickCount64);
  RegisterExport(k32, "GetTickCount", &GetTickCount);
  RegisterExport(k32, "GetVersionExW", &GetVersionExW);
  RegisterExport(k32, "GetSystemInfo", &GetSystemInfo);
  RegisterExport(k32, "GetModuleHandleW", &GetModuleHandleW);
  RegisterExport(k32, "LoadLibraryW", &LoadLibraryW);
  RegisterExport(k32, "FreeLibrary", &FreeLibrary);
  RegisterExport(k32, "GetProcAddress", &GetProcAddress);
  RegisterExport(k32, "GetCalendarInfoW", &GetCalendarInfoW);
  RegisterExport(k32, "GetDynamicTimeZoneInformation", &GetDynamicTimeZoneInformation);
  RegisterExport("ntdll.dll", "RtlGetVersion", &RtlGetVersion);

  const char* u32 = "user32.dll";
  RegisterExport(u32, "WindowFromDC", &WindowFromDC);
  RegisterExport(u32, "UpdateLayeredWindow", &UpdateLayeredWindow);
  RegisterExport(u32, "SetLayeredWindowAttributes", &SetLayeredWindowAttributes);
  RegisterExport(u32, "GetLayeredWindowAttributes", &GetLayeredWindowAttributes);
  RegisterExport(u32, "GetSystemMetricsForDpi", &GetSystemMetricsForDpi);
  RegisterExport(u32, "SystemParametersInfoForDpi", &SystemParametersInfoForDpi);
  RegisterExport(u32, "AdjustWindowRectExForDpi", &AdjustWindowRectExForDpi);
  RegisterExport(u32, "GetDpiForWindow", &GetDpiForWindow);
  RegisterExport(u32, "GetDpiForSystem", &GetDpiForSystem);
  RegisterExport(u32, "GetSystemDpiForProcess", &GetSystemDpiForProcess);
  RegisterExport(u32, "GetThreadDpiAwarenessContext", &GetThreadDpiAwarenessContext);
  RegisterExport(u32, "SetThreadDpiAwarenessContext", &SetThreadDpiAwarenessContext);
  RegisterExport(u32, "GetWindowDpiAwarenessContext", &GetWindowDpiAwarenessContext);
  RegisterExport(u32, "SetProcessDpiAwarenessContext", &SetProcessDpiAwarenessContext);
  RegisterExport(u32, "GetAwarenessFromDpiAwarenessContext", &GetAwarenessFromDpiAwarenessContext);
  RegisterExport(u32, "AreDpiAwarenessContextsEqual", &AreDpiAwarenessContextsEqual);
  RegisterExport(u32, "IsValidDpiAwarenessContext", &IsValidDpiAwarenessContext);
  RegisterExport(u32, "EnableNonClientDpiScaling", &EnableNonClientDpiScaling);
  RegisterExport(u32, "IsProcessDPIAware", &IsProcessDPIAware);
  RegisterExport(u32, "SetProcessDPIAware", &SetProcessDPIAware);
  RegisterExport(u32, "TrackMouseEvent", &TrackMouseEvent);
  RegisterExport(u32, "SetWindowsHookExW", &SetWindowsHookExW);
  RegisterExport(u32, "UnhookWindowsHookEx", &UnhookWindowsHookEx);
  RegisterExport(u32, "CallNextHookEx", &CallNextHookEx);
  RegisterExport(u32, "MsgWaitForMultipleObjects", &MsgWaitForMultipleObjects);
  RegisterExport(u32, "MsgWaitForMultipleObjectsEx", &MsgWaitForMultipleObjectsEx);
  RegisterExport(u32, "AnimateWindow", &AnimateWindow);
  RegisterExport(u32, "MonitorFromPoint", &MonitorFromPoint);
  RegisterExport(u32, "MonitorFromRect", &MonitorFromRect);
  RegisterExport(u32, "MonitorFromWindow", &MonitorFromWindow);
  RegisterExport(u32, "GetMonitorInfoW", &GetMonitorInfoW);
  RegisterExport(u32, "EnumDisplayMonitors", &EnumDisplayMonitors);
  RegisterExport(u32, "PrintWindow", &PrintWindow);
  RegisterExport(u32, "GetSystemMetrics", &GetSystemMetrics);
  RegisterExport(u32, "SystemParametersInfoW", &SystemParametersInfoW);
  RegisterExport(u32, "GetScrollBarInfo", &GetScrollBarInfo);
  RegisterExport(u32, "GetScrollInfo", &GetScrollInfo);
  RegisterExport(u32, "SetScrollInfo", &SetScrollInfo);

  const char* shcore = "shcore.dll";
  RegisterExport(shcore, "GetDpiForMonitor", &GetDpiForMonitor);
  RegisterExport(shcore, "GetProcessDpiAwareness", &GetProcessDpiAwareness);
  RegisterExport(shcore, "SetProcessDpiAwareness", &SetProcessDpiAwareness);

  const char* msimg = "msimg32.dll";
  RegisterExport(msimg, "AlphaBlend", &AlphaBlend);
  RegisterExport(msimg, "GradientFill", &GradientFill);
  RegisterExport(msimg, "TransparentBlt", &TransparentBlt);

  RegisterModule("gdi32.dll");
  RegisterExport("gdi32.dll", "GetRandomRgn", &GetRandomRgn);
  RegisterExport("comctl32.dll", "_TrackMouseEvent", &_TrackMouseEvent);
  RegisterExport("comctl32.dll", "InitCommonControls", &InitCommonControls);
  RegisterExport("comctl32.dll", "InitCommonControlsEx", &InitCommonControlsEx);

  const char* dwm = "dwmapi.dll";
  RegisterExport(dwm, "DwmDefWindowProc", &DwmDefWindowProc);
  RegisterExport(dwm, "DwmEnableBlurBehindWindow", &DwmEnableBlurBehindWindow);
  RegisterExport(dwm, "DwmEnableComposition", &DwmEnableComposition);
  RegisterExport(dwm, "DwmEnableMMCSS", &DwmEnableMMCSS);
  RegisterExport(dwm, "DwmExtendFrameIntoClientArea", &DwmExtendFrameIntoClientArea);
  RegisterExport(dwm, "DwmGetColorizationColor", &DwmGetColorizationColor);
  RegisterExport(dwm, "DwmGetWindowAttribute", &DwmGetWindowAttribute);
  RegisterExport(dwm, "DwmIsCompositionEnabled", &DwmIsCompositionEnabled);
  RegisterExport(dwm, "DwmSetWindowAttribute", &DwmSetWindowAttribute);
  RegisterExport(dwm, "DwmSetIconicThumbnail", &DwmSetIconicThumbnail);
  RegisterExport(dwm, "DwmSetIconicLivePreviewBitmap", &DwmSetIconicLivePreviewBitmap);
  RegisterExport(dwm, "DwmInvalidateIconicBitmaps", &DwmInvalidateIconicBitmaps);
}

}  // namespace qd::os::detail
