#pragma once
// TMethod<Sig>: a comparable method reference (object + member function, or a free
// function), the form that events take. Two references are equal when they name the
// same function of the same object, which multicast events and handler collections need.
#include <cstddef>
#include <cstring>
#include <type_traits>
#include <utility>

namespace qd {

template <class Sig>
class TMethod;

template <class R, class... A>
class TMethod<R(A...)> {
  static constexpr std::size_t kCodeSize = 2 * sizeof(void*);
  using Invoker = R (*)(void* obj, const unsigned char* code, A... args);

 public:
  TMethod() = default;
  TMethod(std::nullptr_t) {}

  // A member function of an object.
  template <class O, class C, class M>
  TMethod(O* obj, M C::*member) {
    using Pm = M C::*;
    static_assert(std::is_member_function_pointer_v<Pm>);
    static_assert(sizeof(Pm) <= kCodeSize, "member function pointer too large");
    obj_ = const_cast<void*>(static_cast<const void*>(static_cast<C*>(obj)));
    std::memcpy(code_, &member, sizeof(Pm));
    invoke_ = [](void* o, const unsigned char* code, A... args) -> R {
      Pm pm;
      std::memcpy(&pm, code, sizeof(Pm));
      return (static_cast<C*>(o)->*pm)(std::forward<A>(args)...);
    };
  }

  // A free function.
  TMethod(R (*fn)(A...)) {
    if (!fn) return;
    std::memcpy(code_, &fn, sizeof(fn));
    invoke_ = [](void*, const unsigned char* code, A... args) -> R {
      R (*f)(A...);
      std::memcpy(&f, code, sizeof(f));
      return f(std::forward<A>(args)...);
    };
  }

  explicit operator bool() const { return invoke_ != nullptr; }
  bool Assigned() const { return invoke_ != nullptr; }

  R operator()(A... args) const { return invoke_(obj_, code_, std::forward<A>(args)...); }

  // The object the method belongs to (nullptr for a free function).
  void* Data() const { return obj_; }

  friend bool operator==(const TMethod& a, const TMethod& b) {
    return a.invoke_ == b.invoke_ && a.obj_ == b.obj_ && std::memcmp(a.code_, b.code_, kCodeSize) == 0;
  }
  friend bool operator==(const TMethod& a, std::nullptr_t) { return !a.invoke_; }

 private:
  void* obj_ = nullptr;
  alignas(void*) unsigned char code_[kCodeSize] = {};
  Invoker invoke_ = nullptr;
};

// MakeMethod(this, &TFoo::Bar) with the signature deduced from the member.
template <class O, class C, class R, class... A>
TMethod<R(A...)> MakeMethod(O* obj, R (C::*member)(A...)) {
  return TMethod<R(A...)>(obj, member);
}

}  // namespace qd
