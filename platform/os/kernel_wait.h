#pragma once
// Internal: the one place where the platform's threads wait. Kernel objects, message
// queues and the clock share a mutex and a condition variable, so that a wait on "a
// message or one of these events" needs no extra machinery and no wake-up is lost.
#include <condition_variable>
#include <mutex>

namespace qd::os::detail {

std::mutex& HubMutex();
std::condition_variable& HubCv();
// Wakes every waiting thread (and the display backend's event wait). Call it after
// changing state that waiters test, without holding HubMutex.
void WakeAll();
// An extra wake-up for a thread that waits outside the hub (the display backend's wait).
void SetExtraWaker(void (*waker)());
// The number of threads the process has (1 means nobody else can ever wake us).
int ProcessThreadCount();

}  // namespace qd::os::detail
