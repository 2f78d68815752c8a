#pragma once
// The by-name module table behind LoadLibraryW / GetModuleHandleW / GetProcAddress.
//
// Parts of the platform register the functions that the system binds by name:
// "user32.dll", "gdi32.dll", "kernel32.dll", "ntdll.dll", "msimg32.dll", "shcore.dll",
// "dwmapi.dll", "comctl32.dll" come from platform/os itself (registered on first use of the
// table); "uxtheme.dll" and "gdiplus.dll" are registered by their owners with
// RegisterExport. A test removes an export or a whole module to switch a feature off and
// restores the table with ScopedModuleTable.
#include <map>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/os/wintypes.h"

namespace qd::os {

// Makes a module loadable (without exports yet). Names: case-insensitive, ".dll" optional.
void RegisterModule(std::string_view module);
// Adds or replaces an export (and registers the module when needed).
void RegisterExport(std::string_view module, std::string_view name, FARPROC proc);
template <class F>
requires std::is_function_v<F>
void RegisterExport(std::string_view module, std::string_view name, F* proc) {
  RegisterExport(module, name, reinterpret_cast<FARPROC>(proc));
}

// Test switches. Removing a module makes LoadLibraryW and GetModuleHandleW fail for it;
// handles given out earlier stay valid but find no exports until it is restored.
bool RemoveExport(std::string_view module, std::string_view name);
bool RemoveModule(std::string_view module);
bool HasModule(std::string_view module);
bool HasExport(std::string_view module, std::string_view name);

// Saves the whole table when created and restores it when destroyed.
class ScopedModuleTable {
 public:
  ScopedModuleTable();
  ~ScopedModuleTable();
  ScopedModuleTable(const ScopedModuleTable&) = delete;
  ScopedModuleTable& operator=(const ScopedModuleTable&) = delete;

 private:
  std::map<std::string, std::map<std::string, FARPROC>> saved_;
};

namespace detail {
// Registers the platform's own exports; called once, on first use of the table.
void RegisterBuiltinExports();
}  // namespace detail

}  // namespace qd::os
