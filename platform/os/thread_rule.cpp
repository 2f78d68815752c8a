#include "platform/os/thread_rule.h"

#include <cstdio>
#include <cstdlib>

#include "platform/os/kernel.h"

namespace qd::os {

void ThreadRuleBroken(const char* what, const void* handle, DWORD owner) {
  std::fprintf(stderr, "thread rule broken: %s %p belongs to thread %u but was used from thread %u\n", what,
               handle, static_cast<unsigned>(owner), static_cast<unsigned>(GetCurrentThreadId()));
  std::abort();
}

}  // namespace qd::os
