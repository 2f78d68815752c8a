#pragma once
// TSet<Enum>: a set over an enumeration with at most 256 members, as the original's sets.
#include <bitset>
#include <cstddef>
#include <initializer_list>
#include <type_traits>

namespace qd {

template <class E, std::size_t N = 256>
class TSet {
  static_assert(std::is_enum_v<E>, "TSet is a set over an enumeration");

 public:
  constexpr TSet() = default;
  TSet(std::initializer_list<E> items) {
    for (E e : items) Include(e);
  }

  bool Contains(E e) const { return bits_.test(Index(e)); }
  TSet& Include(E e) {
    bits_.set(Index(e));
    return *this;
  }
  TSet& Exclude(E e) {
    bits_.reset(Index(e));
    return *this;
  }
  bool Empty() const { return bits_.none(); }
  std::size_t Count() const { return bits_.count(); }
  void Clear() { bits_.reset(); }

  // Bits 0..31 as an integer (for sets stored as a 32-bit word).
  unsigned long ToBits() const { return (bits_ & std::bitset<N>(0xFFFFFFFFul)).to_ulong(); }
  static TSet FromBits(unsigned long v) {
    TSet s;
    s.bits_ = std::bitset<N>(v);
    return s;
  }

  friend TSet operator+(TSet a, const TSet& b) {
    a.bits_ |= b.bits_;
    return a;
  }
  friend TSet operator-(TSet a, const TSet& b) {
    a.bits_ &= ~b.bits_;
    return a;
  }
  friend TSet operator*(TSet a, const TSet& b) {
    a.bits_ &= b.bits_;
    return a;
  }
  TSet& operator+=(const TSet& b) { return *this = *this + b; }
  TSet& operator-=(const TSet& b) { return *this = *this - b; }
  TSet& operator*=(const TSet& b) { return *this = *this * b; }
  TSet& operator+=(E e) { return Include(e); }
  TSet& operator-=(E e) { return Exclude(e); }
  // True when every member of this set is in b.
  bool SubsetOf(const TSet& b) const { return (bits_ & ~b.bits_).none(); }
  friend bool operator==(const TSet&, const TSet&) = default;

  template <class F>
  void ForEach(F&& f) const {
    for (std::size_t i = 0; i < N; ++i)
      if (bits_.test(i)) f(static_cast<E>(i));
  }

 private:
  static std::size_t Index(E e) { return static_cast<std::size_t>(e); }
  std::bitset<N> bits_;
};

}  // namespace qd
