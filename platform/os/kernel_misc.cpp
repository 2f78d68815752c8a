// Errors, thread identity, system and version information, atoms.
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

#include "platform/base/strings.h"
#include "platform/os/kernel.h"

namespace qd {
namespace {
thread_local DWORD t_lastError = 0;

std::atomic<DWORD> g_major{10}, g_minor{0}, g_build{19045};
}  // namespace

DWORD GetLastError() {
  return t_lastError;
}
void SetLastError(DWORD error) {
  t_lastError = error;
}

DWORD GetCurrentThreadId() {
  thread_local const DWORD id = static_cast<DWORD>(::syscall(SYS_gettid));
  return id;
}

DWORD GetCurrentProcessId() {
  return static_cast<DWORD>(::getpid());
}
HANDLE GetCurrentProcess() {
  return reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));
}
HANDLE GetCurrentThread() {
  return reinterpret_cast<HANDLE>(static_cast<intptr_t>(-2));
}

void GetSystemInfo(SYSTEM_INFO* info) {
  if (!info) return;
  *info = SYSTEM_INFO{};
  info->wProcessorArchitecture = PROCESSOR_ARCHITECTURE_AMD64;
  info->dwPageSize = static_cast<DWORD>(::sysconf(_SC_PAGESIZE));
  info->lpMinimumApplicationAddress = reinterpret_cast<void*>(0x10000);
  info->lpMaximumApplicationAddress = reinterpret_cast<void*>(0x7FFFFFFEFFFFull);
  const unsigned n = os::detail::ReportedProcessorCount();
  info->dwNumberOfProcessors = n;
  info->dwActiveProcessorMask = n >= 64 ? ~uintptr_t{0} : ((uintptr_t{1} << n) - 1);
  info->dwProcessorType = 8664;
  info->dwAllocationGranularity = 65536;
  info->wProcessorLevel = 6;
}

NTSTATUS RtlGetVersion(RTL_OSVERSIONINFOW* info) {
  if (!info) return STATUS_INVALID_PARAMETER;
  DWORD size = info->dwOSVersionInfoSize;
  if (size != sizeof(OSVERSIONINFOW) && size != sizeof(OSVERSIONINFOEXW)) return STATUS_INVALID_PARAMETER;
  info->dwMajorVersion = g_major;
  info->dwMinorVersion = g_minor;
  info->dwBuildNumber = g_build;
  info->dwPlatformId = VER_PLATFORM_WIN32_NT;
  info->szCSDVersion[0] = 0;
  if (size == sizeof(OSVERSIONINFOEXW)) {
    auto* ex = static_cast<OSVERSIONINFOEXW*>(info);
    ex->wServicePackMajor = 0;
    ex->wServicePackMinor = 0;
    ex->wSuiteMask = 0x100;  // VER_SUITE_SINGLEUSERTS
    ex->wProductType = VER_NT_WORKSTATION;
  }
  return STATUS_SUCCESS;
}

BOOL GetVersionExW(OSVERSIONINFOW* info) {
  if (RtlGetVersion(info) != STATUS_SUCCESS) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  return TRUE;
}

BOOL IsWow64Process(HANDLE, BOOL* isWow64) {
  if (!isWow64) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *isWow64 = FALSE;
  return TRUE;
}

// ---- Atoms --------------------------------------------------------------------------------------
namespace {

struct AtomTable {
  std::mutex mutex;
  struct Entry {
    String name;
    int refs = 0;
  };
  std::vector<Entry> entries;               // index i <-> atom 0xC000 + i
  std::unordered_map<String, ATOM> byName;  // upper-cased names
};

AtomTable& Atoms() {
  static AtomTable table;
  return table;
}

constexpr ATOM kFirstStringAtom = 0xC000;

// "#123" names an integer atom.
bool IntegerAtomName(LPCWSTR name, ATOM& atom) {
  if (IS_INTRESOURCE(name)) {
    atom = static_cast<ATOM>(reinterpret_cast<uintptr_t>(name));
    return true;
  }
  if (name[0] != u'#') return false;
  uint32_t v = 0;
  int i = 1;
  for (; name[i]; ++i) {
    if (name[i] < u'0' || name[i] > u'9') return false;
    v = v * 10 + (name[i] - u'0');
    if (v > 0xFFFF) return false;
  }
  if (i == 1) return false;
  atom = static_cast<ATOM>(v);
  return true;
}

ATOM AddAtomImpl(LPCWSTR name, bool add) {
  if (!name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  ATOM atom = 0;
  if (IntegerAtomName(name, atom)) {
    if (atom == 0 || atom >= kFirstStringAtom) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    return atom;
  }
  String key = UpperCase(String(name));
  if (key.empty() || key.size() > 255) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto& t = Atoms();
  std::lock_guard lock(t.mutex);
  if (auto it = t.byName.find(key); it != t.byName.end()) {
    if (add) ++t.entries[it->second - kFirstStringAtom].refs;
    return it->second;
  }
  if (!add) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
  }
  // Reuse a freed slot, else append.
  size_t slot = t.entries.size();
  for (size_t i = 0; i < t.entries.size(); ++i)
    if (t.entries[i].refs == 0) {
      slot = i;
      break;
    }
  if (slot == t.entries.size()) {
    if (t.entries.size() >= 0x4000) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return 0;
    }
    t.entries.emplace_back();
  }
  t.entries[slot] = {String(name), 1};
  ATOM a = static_cast<ATOM>(kFirstStringAtom + slot);
  t.byName.emplace(std::move(key), a);
  return a;
}

}  // namespace

ATOM GlobalAddAtomW(LPCWSTR name) {
  return AddAtomImpl(name, true);
}
ATOM GlobalFindAtomW(LPCWSTR name) {
  return AddAtomImpl(name, false);
}

ATOM GlobalDeleteAtom(ATOM atom) {
  if (atom < kFirstStringAtom) return 0;
  auto& t = Atoms();
  std::lock_guard lock(t.mutex);
  size_t i = atom - kFirstStringAtom;
  if (i >= t.entries.size() || t.entries[i].refs == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return atom;
  }
  if (--t.entries[i].refs == 0) t.byName.erase(UpperCase(t.entries[i].name));
  return 0;
}

UINT GlobalGetAtomNameW(ATOM atom, LPWSTR buffer, int size) {
  if (!buffer || size <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  String name;
  if (atom == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (atom < kFirstStringAtom) {
    name = u"#" + IntToStr(atom);
  } else {
    auto& t = Atoms();
    std::lock_guard lock(t.mutex);
    size_t i = atom - kFirstStringAtom;
    if (i >= t.entries.size() || t.entries[i].refs == 0) {
      SetLastError(ERROR_INVALID_HANDLE);
      return 0;
    }
    name = t.entries[i].name;
  }
  size_t n = std::min<size_t>(name.size(), static_cast<size_t>(size - 1));
  std::copy_n(name.data(), n, buffer);
  buffer[n] = 0;
  return static_cast<UINT>(n);
}

// One process, one table: the local atom functions share it.
ATOM AddAtomW(LPCWSTR name) {
  return GlobalAddAtomW(name);
}
ATOM FindAtomW(LPCWSTR name) {
  return GlobalFindAtomW(name);
}
ATOM DeleteAtom(ATOM atom) {
  return GlobalDeleteAtom(atom);
}
UINT GetAtomNameW(ATOM atom, LPWSTR buffer, int size) {
  return GlobalGetAtomNameW(atom, buffer, size);
}

}  // namespace qd

namespace qd::os {

void SetReportedVersion(DWORD major, DWORD minor, DWORD build) {
  g_major = major;
  g_minor = minor;
  g_build = build;
}

void ResetReportedVersion() {
  SetReportedVersion(10, 0, 19045);
}

}  // namespace qd::os
