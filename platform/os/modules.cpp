#include "platform/os/modules.h"

#include <unistd.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/base/strings.h"
#include "platform/os/kernel.h"

namespace qd::os {
namespace {

struct Module {
  std::string name;  // normalised
  bool present = false;
  int refs = 0;
  std::map<std::string, FARPROC> exports;
};

struct ModuleTable {
  std::recursive_mutex mutex;
  std::deque<Module> modules;  // stable addresses: a handle is a Module*
  Module program{"", true, 1, {}};
};

ModuleTable& TheModuleTable() {
  static ModuleTable table;
  return table;
}

std::once_flag g_builtinsOnce;
bool g_inBuiltins = false;

void EnsureBuiltins() {
  std::call_once(g_builtinsOnce, [] {
    g_inBuiltins = true;
    detail::RegisterBuiltinExports();
    g_inBuiltins = false;
  });
}

std::string NormaliseModuleName(std::string_view name) {
  size_t slash = name.find_last_of("\\/");
  if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
  std::string s(name);
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (!s.empty() && s.find('.') == std::string::npos) s += ".dll";
  if (!s.empty() && s.back() == '.') s.pop_back();  // "name." means no extension
  return s;
}

Module* FindModule(ModuleTable& t, const std::string& name) {
  for (auto& m : t.modules)
    if (m.name == name) return &m;
  return nullptr;
}

Module& FindOrAdd(ModuleTable& t, const std::string& name) {
  if (Module* m = FindModule(t, name)) return *m;
  t.modules.push_back(Module{name, false, 0, {}});
  return t.modules.back();
}

Module* ModuleFromHandle(ModuleTable& t, HMODULE h) {
  if (reinterpret_cast<Module*>(h) == &t.program) return &t.program;
  for (auto& m : t.modules)
    if (reinterpret_cast<HMODULE>(&m) == h) return &m;
  return nullptr;
}

std::string NameFromWide(LPCWSTR name) {
  std::string s;
  for (const Char* p = name; *p; ++p) s += *p < 0x80 ? static_cast<char>(*p) : '?';
  return s;
}

}  // namespace

void RegisterModule(std::string_view module) {
  if (!g_inBuiltins) EnsureBuiltins();
  auto& t = TheModuleTable();
  std::lock_guard lock(t.mutex);
  FindOrAdd(t, NormaliseModuleName(module)).present = true;
}

void RegisterExport(std::string_view module, std::string_view name, FARPROC proc) {
  if (!g_inBuiltins) EnsureBuiltins();
  auto& t = TheModuleTable();
  std::lock_guard lock(t.mutex);
  Module& m = FindOrAdd(t, NormaliseModuleName(module));
  m.present = true;
  m.exports[std::string(name)] = proc;
}

bool RemoveExport(std::string_view module, std::string_view name) {
  EnsureBuiltins();
  auto& t = TheModuleTable();
  std::lock_guard lock(t.mutex);
  Module* m = FindModule(t, NormaliseModuleName(module));
  return m && m->exports.erase(std::string(name)) > 0;
}

bool RemoveModule(std::string_view module) {
  EnsureBuiltins();
  auto& t = TheModuleTable();
  std::lock_guard lock(t.mutex);
  Module* m = FindModule(t, NormaliseModuleName(module));
  if (!m || !m->present) return false;
  m->present = false;
  m->exports.clear();
  return true;
}

bool HasModule(std::string_view module) {
  EnsureBuiltins();
  auto& t = TheModuleTable();
  std::lock_guard lock(t.mutex);
  Module* m = FindModule(t, NormaliseModuleName(module));
  return m && m->present;
}

bool HasExport(std::string_view module, std::string_view name) {
  EnsureBuiltins();
  auto& t = TheModuleTable();
  std::lock_guard lock(t.mutex);
  Module* m = FindModule(t, NormaliseModuleName(module));
  return m && m->present && m->exports.count(std::string(name)) > 0;
}

ScopedModuleTable::ScopedModuleTable() {
  EnsureBuiltins();
  auto& t = TheModuleTable();
  std::lock_guard lock(t.mutex);
  for (auto& m : t.modules)
    if (m.present) saved_[m.name] = m.exports;
}

ScopedModuleTable::~ScopedModuleTable() {
  auto& t = TheModuleTable();
  std::lock_guard lock(t.mutex);
  for (auto& m : t.modules) {
    auto it = saved_.find(m.name);
    m.present = it != saved_.end();
    m.exports = m.present ? it->second : std::map<std::string, FARPROC>{};
  }
  for (auto& [name, exports] : saved_)
    if (!FindModule(t, name)) t.modules.push_back(Module{name, true, 0, exports});
}

}  // namespace qd::os

namespace qd {

HMODULE GetModuleHandleW(LPCWSTR name) {
  using namespace os;
  EnsureBuiltins();
  auto& t = TheModuleTable();
  std::lock_guard lock(t.mutex);
  if (!name) return reinterpret_cast<HMODULE>(&t.program);
  Module* m = FindModule(t, NormaliseModuleName(NameFromWide(name)));
  if (!m || !m->present) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<HMODULE>(m);
}

HMODULE LoadLibraryW(LPCWSTR name) {
  using namespace os;
  if (!name || !*name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  EnsureBuiltins();
  auto& t = TheModuleTable();
  std::lock_guard lock(t.mutex);
  Module* m = FindModule(t, NormaliseModuleName(NameFromWide(name)));
  if (!m || !m->present) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  ++m->refs;
  return reinterpret_cast<HMODULE>(m);
}

BOOL FreeLibrary(HMODULE module) {
  using namespace os;
  auto& t = TheModuleTable();
  std::lock_guard lock(t.mutex);
  Module* m = ModuleFromHandle(t, module);
  if (!m) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (m->refs > 0) --m->refs;
  return TRUE;
}

FARPROC GetProcAddress(HMODULE module, const char* name) {
  using namespace os;
  EnsureBuiltins();
  auto& t = TheModuleTable();
  std::lock_guard lock(t.mutex);
  Module* m = ModuleFromHandle(t, module);
  if (!m) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (!name || IS_INTRESOURCE(name) || !m->present) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  auto it = m->exports.find(name);
  if (it == m->exports.end()) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return it->second;
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size) {
  using namespace os;
  if (!buffer || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  String path;
  {
    auto& t = TheModuleTable();
    std::lock_guard lock(t.mutex);
    Module* m = module ? ModuleFromHandle(t, module) : &t.program;
    if (!m) {
      SetLastError(ERROR_MOD_NOT_FOUND);
      return 0;
    }
    if (m == &t.program) {
      char buf[4096];
      ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
      path = Utf8ToString(std::string_view(buf, n > 0 ? static_cast<size_t>(n) : 0));
    } else {
      path = Utf8ToString(m->name);
    }
  }
  DWORD n = static_cast<DWORD>(std::min<size_t>(path.size(), size - 1));
  std::copy_n(path.data(), n, buffer);
  buffer[n] = 0;
  if (path.size() >= size) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  return n;
}

}  // namespace qd
