// Clock, kernel objects, the work-item pool, atoms, version and the module table.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <tuple>
#include <thread>

#include "platform/os/clock.h"
#include "platform/os/kernel.h"
#include "platform/os/modules.h"
#include "platform/os/objidl.h"

namespace qd {
namespace {

TEST(VirtualClock, DrivesTickCountPerformanceCounterAndSleep) {
  os::ScopedVirtualClock clock(5000);
  EXPECT_EQ(GetTickCount(), 5000u);
  int64_t f = 0, c0 = 0, c1 = 0;
  ASSERT_TRUE(QueryPerformanceFrequency(&f));
  ASSERT_TRUE(QueryPerformanceCounter(&c0));
  clock.Advance(250);
  EXPECT_EQ(GetTickCount64(), 5250u);
  Sleep(1000);  // returns at once, the clock moves
  EXPECT_EQ(GetTickCount(), 6250u);
  ASSERT_TRUE(QueryPerformanceCounter(&c1));
  EXPECT_EQ((c1 - c0) * 1000 / f, 1250);
}

TEST(VirtualClock, TickCountWrapsAt32Bits) {
  os::ScopedVirtualClock clock(0xFFFFFFF0ull);
  clock.Advance(0x20);
  EXPECT_EQ(GetTickCount(), 0x10u);
  EXPECT_EQ(GetTickCount64(), 0x100000010ull);
}

TEST(VirtualClock, RemovedScopeRestoresSystemClock) {
  {
    os::ScopedVirtualClock clock(7);
    EXPECT_TRUE(os::CurrentClock().IsVirtual());
  }
  EXPECT_FALSE(os::CurrentClock().IsVirtual());
  EXPECT_EQ(os::CurrentVirtualClock(), nullptr);
}

TEST(Events, AutoAndManualResetAndTimeouts) {
  os::ScopedVirtualClock clock(1000);
  HANDLE manual = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE automatic = CreateEventW(nullptr, FALSE, TRUE, nullptr);
  ASSERT_NE(manual, nullptr);
  // Time-out under the virtual clock: returns at once and moves the clock by the time-out.
  EXPECT_EQ(WaitForSingleObject(manual, 300), WAIT_TIMEOUT);
  EXPECT_EQ(GetTickCount(), 1300u);
  // An auto-reset event is consumed by the wait that sees it.
  EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);
  SetEvent(manual);
  EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
  HANDLE both[] = {automatic, manual};
  EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), WAIT_OBJECT_0 + 1);
  EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 0), WAIT_TIMEOUT);
  SetEvent(automatic);
  EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);  // consumed by the wait-all
  ResetEvent(manual);
  EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);
  EXPECT_TRUE(CloseHandle(manual));
  EXPECT_TRUE(CloseHandle(automatic));
  EXPECT_FALSE(CloseHandle(manual));
  EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

DWORD WorkItem(void* p) {
  auto* args = static_cast<std::pair<std::atomic<int>*, HANDLE>*>(p);
  if (args->first->fetch_add(1) + 1 == 8) SetEvent(args->second);
  return 0;
}

TEST(WorkItems, RunOnOtherThreadsAndWakeAnInfiniteWait) {
  std::atomic<int> done{0};
  HANDLE finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::pair<std::atomic<int>*, HANDLE> args{&done, finished};
  for (int i = 0; i < 8; ++i)
    ASSERT_TRUE(QueueUserWorkItem(&WorkItem, &args, i % 2 ? WT_EXECUTELONGFUNCTION : 0));
  EXPECT_EQ(WaitForSingleObject(finished, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(done.load(), 8);
  CloseHandle(finished);
}

TEST(CriticalSection, IsRecursiveAndExcludesOtherThreads) {
  CRITICAL_SECTION cs;
  InitializeCriticalSection(&cs);
  EnterCriticalSection(&cs);
  EnterCriticalSection(&cs);
  BOOL other = TRUE;
  std::thread([&] { other = TryEnterCriticalSection(&cs); }).join();
  EXPECT_FALSE(other);
  LeaveCriticalSection(&cs);
  LeaveCriticalSection(&cs);
  std::thread([&] {
    other = TryEnterCriticalSection(&cs);
    if (other) LeaveCriticalSection(&cs);
  }).join();
  EXPECT_TRUE(other);
  DeleteCriticalSection(&cs);
}

TEST(Interlocked, ReturnValuesFollowTheOriginal) {
  LONG v = 5;
  EXPECT_EQ(InterlockedIncrement(&v), 6);
  EXPECT_EQ(InterlockedDecrement(&v), 5);
  EXPECT_EQ(InterlockedExchangeAdd(&v, 3), 5);
  EXPECT_EQ(InterlockedExchange(&v, 1), 8);
  EXPECT_EQ(InterlockedCompareExchange(&v, 9, 2), 1);  // no exchange: comparand differs
  EXPECT_EQ(v, 1);
  EXPECT_EQ(InterlockedCompareExchange(&v, 9, 1), 1);
  EXPECT_EQ(v, 9);
  void* p = nullptr;
  int x = 0;
  EXPECT_EQ(InterlockedCompareExchangePointer(&p, &x, nullptr), nullptr);
  EXPECT_EQ(p, &x);
}

TEST(Version, ReportsWindows10NativeProcess) {
  RTL_OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  ASSERT_EQ(RtlGetVersion(&info), STATUS_SUCCESS);
  EXPECT_EQ(info.dwMajorVersion, 10u);
  EXPECT_EQ(info.dwMinorVersion, 0u);
  EXPECT_EQ(info.dwBuildNumber, 19045u);
  info.dwOSVersionInfoSize = 3;
  EXPECT_NE(RtlGetVersion(&info), STATUS_SUCCESS);
  BOOL wow = TRUE;
  EXPECT_TRUE(IsWow64Process(GetCurrentProcess(), &wow));
  EXPECT_FALSE(wow);
  os::SetReportedVersion(6, 1, 7601);
  OSVERSIONINFOW v{};
  v.dwOSVersionInfoSize = sizeof v;
  EXPECT_TRUE(GetVersionExW(&v));
  EXPECT_EQ(v.dwMajorVersion * 10 + v.dwMinorVersion, 61u);
  os::ResetReportedVersion();
}

TEST(Atoms, CaseInsensitiveReferenceCountedAndIntegerNames) {
  ATOM a = GlobalAddAtomW(u"QdTestAtom");
  ASSERT_GE(a, 0xC000);
  EXPECT_EQ(GlobalAddAtomW(u"qdtestATOM"), a);
  EXPECT_EQ(GlobalFindAtomW(u"QDTESTATOM"), a);
  Char buf[32];
  EXPECT_EQ(GlobalGetAtomNameW(a, buf, 32), 10u);
  EXPECT_EQ(String(buf), u"QdTestAtom");
  EXPECT_EQ(GlobalGetAtomNameW(a, buf, 4), 3u);  // truncated, terminated
  EXPECT_EQ(String(buf), u"QdT");
  GlobalDeleteAtom(a);
  EXPECT_EQ(GlobalFindAtomW(u"QdTestAtom"), a);  // one reference left
  GlobalDeleteAtom(a);
  EXPECT_EQ(GlobalFindAtomW(u"QdTestAtom"), 0);
  EXPECT_EQ(GlobalAddAtomW(u"#123"), 123);
  EXPECT_EQ(GlobalAddAtomW(MAKEINTATOM(77)), 77);
}

TEST(ModuleTable, BindsByNameAndSwitchesOffPerEntryAndModule) {
  using RtlGetVersionFn = NTSTATUS (*)(RTL_OSVERSIONINFOW*);
  HMODULE ntdll = GetModuleHandleW(u"NTDLL");
  ASSERT_NE(ntdll, nullptr);
  EXPECT_EQ(LoadLibraryW(u"C:\\Windows\\System32\\ntdll.dll"), ntdll);
  auto fn = reinterpret_cast<RtlGetVersionFn>(GetProcAddress(ntdll, "RtlGetVersion"));
  ASSERT_NE(fn, nullptr);
  RTL_OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  EXPECT_EQ(fn(&info), STATUS_SUCCESS);
  EXPECT_EQ(GetProcAddress(ntdll, "rtlgetversion"), nullptr);  // export names are case-sensitive
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
  EXPECT_EQ(LoadLibraryW(u"nosuch.dll"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  {
    os::ScopedModuleTable saved;
    ASSERT_TRUE(os::RemoveExport("kernel32.dll", "QueueUserWorkItem"));
    EXPECT_EQ(GetProcAddress(GetModuleHandleW(u"kernel32.dll"), "QueueUserWorkItem"), nullptr);
    EXPECT_NE(GetProcAddress(GetModuleHandleW(u"kernel32.dll"), "IsWow64Process"), nullptr);
    ASSERT_TRUE(os::RemoveModule("ntdll"));
    EXPECT_EQ(LoadLibraryW(u"ntdll.dll"), nullptr);
    EXPECT_EQ(GetModuleHandleW(u"ntdll.dll"), nullptr);
    EXPECT_EQ(GetProcAddress(ntdll, "RtlGetVersion"), nullptr);  // an old handle finds nothing
    os::RegisterExport("qdtest.dll", "Answer", &GetTickCount);
    EXPECT_NE(GetProcAddress(LoadLibraryW(u"QDTEST"), "Answer"), nullptr);
  }
  EXPECT_EQ(GetProcAddress(ntdll, "RtlGetVersion"), reinterpret_cast<FARPROC>(fn));
  EXPECT_NE(GetProcAddress(GetModuleHandleW(u"kernel32.dll"), "QueueUserWorkItem"), nullptr);
  EXPECT_EQ(LoadLibraryW(u"qdtest.dll"), nullptr);
  EXPECT_NE(GetModuleHandleW(nullptr), nullptr);
}

TEST(Guids, NewGuidsAreDistinctVersion4Identifiers) {
  std::set<std::tuple<uint32_t, uint16_t, uint16_t, uint64_t>> seen;
  for (int i = 0; i < 200; ++i) {
    TGUID g;
    ASSERT_EQ(CreateGUID(g), S_OK);
    EXPECT_EQ(g.Data3 >> 12, 4);         // version
    EXPECT_EQ(g.Data4[0] & 0xC0, 0x80);  // variant
    uint64_t tail = 0;
    for (uint8_t b : g.Data4) tail = tail << 8 | b;
    EXPECT_TRUE(seen.insert({g.Data1, g.Data2, g.Data3, tail}).second);
    TGUID copy = g;
    EXPECT_EQ(copy, g);
    copy.Data4[7] ^= 1;
    EXPECT_FALSE(copy == g);
  }
  EXPECT_EQ(CoCreateGuid(nullptr), E_INVALIDARG);
}

}  // namespace
}  // namespace qd
