#pragma once
// Kernel services with the original platform's names: errors, time, threads' identity,
// synchronisation, interlocked operations, the work-item pool, version information,
// atoms and the by-name module table.
#include <atomic>
#include <cstdint>

#include "platform/os/wintypes.h"

namespace qd {

// ---- Errors -------------------------------------------------------------------------
constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD NO_ERROR = 0;
constexpr DWORD ERROR_INVALID_FUNCTION = 1;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_OUTOFMEMORY = 14;
constexpr DWORD ERROR_NOT_SUPPORTED = 50;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_INVALID_NAME = 123;
constexpr DWORD ERROR_MOD_NOT_FOUND = 126;
constexpr DWORD ERROR_PROC_NOT_FOUND = 127;
constexpr DWORD ERROR_ALREADY_EXISTS = 183;
constexpr DWORD ERROR_INVALID_FLAGS = 1004;
constexpr DWORD ERROR_INVALID_WINDOW_HANDLE = 1400;
constexpr DWORD ERROR_INVALID_MENU_HANDLE = 1401;
constexpr DWORD ERROR_INVALID_CURSOR_HANDLE = 1402;
constexpr DWORD ERROR_INVALID_HOOK_HANDLE = 1404;
constexpr DWORD ERROR_INVALID_ICON_HANDLE = 1405;
constexpr DWORD ERROR_TLW_WITH_WSCHILD = 1406;
constexpr DWORD ERROR_CANNOT_FIND_WND_CLASS = 1407;
constexpr DWORD ERROR_WINDOW_OF_OTHER_THREAD = 1408;
constexpr DWORD ERROR_CLASS_ALREADY_EXISTS = 1410;
constexpr DWORD ERROR_CLASS_DOES_NOT_EXIST = 1411;
constexpr DWORD ERROR_CLASS_HAS_WINDOWS = 1412;
constexpr DWORD ERROR_INVALID_INDEX = 1413;
constexpr DWORD ERROR_NO_TIMER_RESOURCES = 1417;
constexpr DWORD ERROR_NOT_CHILD_WINDOW = 1421;
constexpr DWORD ERROR_INVALID_HOOK_FILTER = 1426;
constexpr DWORD ERROR_INVALID_FILTER_PROC = 1427;
constexpr DWORD ERROR_HOOK_NEEDS_HMOD = 1428;
constexpr DWORD ERROR_INVALID_THREAD_ID = 1444;
constexpr DWORD ERROR_NON_MDICHILD_WINDOW = 1445;
constexpr DWORD ERROR_INVALID_GW_COMMAND = 1446;
constexpr DWORD ERROR_TIMEOUT = 1460;
constexpr DWORD ERROR_INVALID_MONITOR_HANDLE = 1461;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT E_ACCESSDENIED = static_cast<HRESULT>(0x80070005u);

DWORD GetLastError();
void SetLastError(DWORD error);

// ---- Time ---------------------------------------------------------------------------
// All of them read the platform clock (platform/os/clock.h), which tests may replace.
union LARGE_INTEGER {
  int64_t QuadPart;
};
DWORD GetTickCount();
uint64_t GetTickCount64();
BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);  // 10 MHz
BOOL QueryPerformanceCounter(int64_t* count);
BOOL QueryPerformanceFrequency(int64_t* frequency);
// Under the virtual clock, Sleep advances the clock and returns at once.
void Sleep(DWORD milliseconds);
DWORD SleepEx(DWORD milliseconds, BOOL alertable);

// ---- Processes and threads ------------------------------------------------------------
DWORD GetCurrentThreadId();
DWORD GetCurrentProcessId();
HANDLE GetCurrentProcess();  // the pseudo handle (HANDLE)-1
HANDLE GetCurrentThread();   // the pseudo handle (HANDLE)-2

struct SYSTEM_INFO {
  WORD wProcessorArchitecture = 0;
  WORD wReserved = 0;
  DWORD dwPageSize = 0;
  void* lpMinimumApplicationAddress = nullptr;
  void* lpMaximumApplicationAddress = nullptr;
  uintptr_t dwActiveProcessorMask = 0;
  DWORD dwNumberOfProcessors = 0;
  DWORD dwProcessorType = 0;
  DWORD dwAllocationGranularity = 0;
  WORD wProcessorLevel = 0;
  WORD wProcessorRevision = 0;
};
constexpr WORD PROCESSOR_ARCHITECTURE_AMD64 = 9;
void GetSystemInfo(SYSTEM_INFO* info);

// ---- Critical sections (recursive) ------------------------------------------------------
struct CRITICAL_SECTION {
  void* impl = nullptr;
};
using LPCRITICAL_SECTION = CRITICAL_SECTION*;
void InitializeCriticalSection(LPCRITICAL_SECTION cs);
BOOL InitializeCriticalSectionAndSpinCount(LPCRITICAL_SECTION cs, DWORD spinCount);
void EnterCriticalSection(LPCRITICAL_SECTION cs);
BOOL TryEnterCriticalSection(LPCRITICAL_SECTION cs);
void LeaveCriticalSection(LPCRITICAL_SECTION cs);
void DeleteCriticalSection(LPCRITICAL_SECTION cs);

// ---- Events and waits ---------------------------------------------------------------------
constexpr DWORD INFINITE = 0xFFFFFFFFu;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_ABANDONED_0 = 0x80;
constexpr DWORD WAIT_IO_COMPLETION = 0xC0;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFFu;
constexpr DWORD MAXIMUM_WAIT_OBJECTS = 64;

struct SECURITY_ATTRIBUTES {
  DWORD nLength = sizeof(SECURITY_ATTRIBUTES);
  void* lpSecurityDescriptor = nullptr;
  BOOL bInheritHandle = FALSE;
};

HANDLE CreateEventW(SECURITY_ATTRIBUTES* attributes, BOOL manualReset, BOOL initialState, LPCWSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
// Waits until the object is signalled or the time-out passes. Under the virtual clock a
// finite time-out that would expire advances the clock to its end at once.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds);
BOOL CloseHandle(HANDLE handle);

// ---- Interlocked operations ----------------------------------------------------------------
inline LONG InterlockedIncrement(LONG volatile* p) {
  return std::atomic_ref<LONG>(*const_cast<LONG*>(p)).fetch_add(1) + 1;
}
inline LONG InterlockedDecrement(LONG volatile* p) {
  return std::atomic_ref<LONG>(*const_cast<LONG*>(p)).fetch_sub(1) - 1;
}
inline LONG InterlockedExchange(LONG volatile* p, LONG v) {
  return std::atomic_ref<LONG>(*const_cast<LONG*>(p)).exchange(v);
}
inline LONG InterlockedExchangeAdd(LONG volatile* p, LONG v) {
  return std::atomic_ref<LONG>(*const_cast<LONG*>(p)).fetch_add(v);
}
inline LONG InterlockedCompareExchange(LONG volatile* p, LONG exchange, LONG comparand) {
  std::atomic_ref<LONG>(*const_cast<LONG*>(p)).compare_exchange_strong(comparand, exchange);
  return comparand;
}
inline int64_t InterlockedIncrement64(int64_t volatile* p) {
  return std::atomic_ref<int64_t>(*const_cast<int64_t*>(p)).fetch_add(1) + 1;
}
inline int64_t InterlockedDecrement64(int64_t volatile* p) {
  return std::atomic_ref<int64_t>(*const_cast<int64_t*>(p)).fetch_sub(1) - 1;
}
inline int64_t InterlockedExchange64(int64_t volatile* p, int64_t v) {
  return std::atomic_ref<int64_t>(*const_cast<int64_t*>(p)).exchange(v);
}
inline int64_t InterlockedExchangeAdd64(int64_t volatile* p, int64_t v) {
  return std::atomic_ref<int64_t>(*const_cast<int64_t*>(p)).fetch_add(v);
}
inline int64_t InterlockedCompareExchange64(int64_t volatile* p, int64_t exchange, int64_t comparand) {
  std::atomic_ref<int64_t>(*const_cast<int64_t*>(p)).compare_exchange_strong(comparand, exchange);
  return comparand;
}
inline void* InterlockedExchangePointer(void* volatile* p, void* v) {
  return std::atomic_ref<void*>(*const_cast<void**>(p)).exchange(v);
}
inline void* InterlockedCompareExchangePointer(void* volatile* p, void* exchange, void* comparand) {
  std::atomic_ref<void*>(*const_cast<void**>(p)).compare_exchange_strong(comparand, exchange);
  return comparand;
}

// ---- Work items -------------------------------------------------------------------------------
using LPTHREAD_START_ROUTINE = DWORD (*)(void* parameter);
constexpr ULONG WT_EXECUTEDEFAULT = 0x00;
constexpr ULONG WT_EXECUTEINIOTHREAD = 0x01;
constexpr ULONG WT_EXECUTEINPERSISTENTTHREAD = 0x80;
constexpr ULONG WT_EXECUTELONGFUNCTION = 0x10;
// Runs the function on a thread of a small worker pool. A long function (flag 0x10) may get
// a thread of its own when all workers are busy.
BOOL QueueUserWorkItem(LPTHREAD_START_ROUTINE function, void* context, ULONG flags);

// ---- Version ---------------------------------------------------------------------------------
struct OSVERSIONINFOW {
  DWORD dwOSVersionInfoSize = 0;
  DWORD dwMajorVersion = 0;
  DWORD dwMinorVersion = 0;
  DWORD dwBuildNumber = 0;
  DWORD dwPlatformId = 0;
  WCHAR szCSDVersion[128] = {};
};
struct OSVERSIONINFOEXW : OSVERSIONINFOW {
  WORD wServicePackMajor = 0;
  WORD wServicePackMinor = 0;
  WORD wSuiteMask = 0;
  BYTE wProductType = 0;
  BYTE wReserved = 0;
};
using RTL_OSVERSIONINFOW = OSVERSIONINFOW;
using RTL_OSVERSIONINFOEXW = OSVERSIONINFOEXW;
using NTSTATUS = LONG;
constexpr NTSTATUS STATUS_SUCCESS = 0;
constexpr NTSTATUS STATUS_INVALID_PARAMETER = static_cast<NTSTATUS>(0xC000000Du);
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;
constexpr BYTE VER_NT_WORKSTATION = 1;

// 10.0.19045 unless a test set another version (qd::os::SetReportedVersion).
NTSTATUS RtlGetVersion(RTL_OSVERSIONINFOW* info);
BOOL GetVersionExW(OSVERSIONINFOW* info);
// A native 64-bit process: *isWow64 = FALSE.
BOOL IsWow64Process(HANDLE process, BOOL* isWow64);

// ---- Atoms --------------------------------------------------------------------------------------
// One table for global atoms, registered window messages and class names, as the original
// shares them: string atoms are 0xC000..0xFFFF, compared without regard to case.
inline LPCWSTR MAKEINTATOM(WORD atom) {
  return reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(atom));
}
inline bool IS_INTRESOURCE(const void* p) {
  return (reinterpret_cast<uintptr_t>(p) >> 16) == 0;
}
ATOM GlobalAddAtomW(LPCWSTR name);
ATOM GlobalFindAtomW(LPCWSTR name);
ATOM GlobalDeleteAtom(ATOM atom);
UINT GlobalGetAtomNameW(ATOM atom, LPWSTR buffer, int size);
ATOM AddAtomW(LPCWSTR name);
ATOM FindAtomW(LPCWSTR name);
ATOM DeleteAtom(ATOM atom);
UINT GetAtomNameW(ATOM atom, LPWSTR buffer, int size);

// ---- Modules (see platform/os/modules.h for registration) -----------------------------------
// Names compare without regard to case; ".dll" and a leading path are optional.
HMODULE GetModuleHandleW(LPCWSTR name);  // nullptr: the program itself
HMODULE LoadLibraryW(LPCWSTR name);
BOOL FreeLibrary(HMODULE module);
FARPROC GetProcAddress(HMODULE module, const char* name);
DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size);

}  // namespace qd

namespace qd::os {
// Test switch: the version RtlGetVersion and GetVersionExW report.
void SetReportedVersion(DWORD major, DWORD minor, DWORD build);
void ResetReportedVersion();
// Test switch: the processor count GetSystemInfo reports (0: the machine's).
void SetReportedProcessorCount(DWORD count);
namespace detail {
DWORD ReportedProcessorCount();
}  // namespace detail
}  // namespace qd::os
