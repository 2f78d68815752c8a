#pragma once
// A set stored as the keys of a hash table.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <unordered_set>
#include <vector>

namespace qd {

template <class T, class Hash = std::hash<T>, class Equal = std::equal_to<T>>
class TdxHashSet {
  using TSetImpl = std::unordered_set<T, Hash, Equal>;

 public:
  TdxHashSet() = default;
  explicit TdxHashSet(size_t ACapacity) { FItems.reserve(ACapacity); }
  explicit TdxHashSet(const Equal& AComparer) : FItems(0, Hash(), AComparer) {}
  TdxHashSet(size_t ACapacity, const Equal& AComparer) : FItems(ACapacity, Hash(), AComparer) {}

  bool Contains(const T& AValue) const { return FItems.find(AValue) != FItems.end(); }
  void Clear() { FItems.clear(); }

  // Including a present value or excluding an absent one changes nothing.
  void Include(const T& AValue) { FItems.insert(AValue); }
  void Include(const TdxHashSet& ASet) {
    for (const T& v : ASet) Include(v);
  }
  void Include(const std::vector<T>& AValues) {
    for (const T& v : AValues) Include(v);
  }
  void Include(std::initializer_list<T> AValues) {
    for (const T& v : AValues) Include(v);
  }
  void Exclude(const T& AValue) { FItems.erase(AValue); }
  void Exclude(const TdxHashSet& ASet) {
    for (const T& v : ASet) Exclude(v);
  }
  void Exclude(const std::vector<T>& AValues) {
    for (const T& v : AValues) Exclude(v);
  }
  void Exclude(std::initializer_list<T> AValues) {
    for (const T& v : AValues) Exclude(v);
  }

  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  std::vector<T> ToArray() const { return std::vector<T>(FItems.begin(), FItems.end()); }

  typename TSetImpl::const_iterator begin() const { return FItems.begin(); }
  typename TSetImpl::const_iterator end() const { return FItems.end(); }

 private:
  TSetImpl FItems;
};

}  // namespace qd
