#pragma once
// Runs a function when the scope ends, also when it ends by an exception: what a
// try ... finally block does where no object owns the thing to undo.
//
//   ++busy;
//   ScopeExit done{[&] { --busy; }};
#include <utility>

namespace qd {

template <class F>
class ScopeExit {
 public:
  explicit ScopeExit(F f) : f_(std::move(f)) {}
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;
  ~ScopeExit() { f_(); }

 private:
  F f_;
};

template <class F>
ScopeExit(F) -> ScopeExit<F>;

}  // namespace qd
