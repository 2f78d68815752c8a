// The platform's own exports in the by-name module table.
#include "platform/os/kernel.h"
#include "platform/os/modules.h"

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
  RegisterExport("ntdll.dll", "RtlGetVersion", &RtlGetVersion);
}

}  // namespace qd::os::detail
