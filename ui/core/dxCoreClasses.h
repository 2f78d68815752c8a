#pragma once
// Fast pointer lists, the hybrid quicksort every list sort goes through, ordinal string
// comparers and multicast events.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/base/method.h"
#include "platform/base/object.h"
#include "platform/base/types.h"
#include "platform/classes/lists.h"

namespace qd {

// A comparison method of an object (the plain function is the platform's TListSortCompare):
// negative when the first item comes first.
using TdxListSortCompareFunc = TMethod<int(void* Item1, void* Item2)>;

// The hybrid quicksort of the library: a median-of-three quicksort on parts of more than
// 35 items, then one insertion pass behind a sentinel. Not stable.
void dxQuickSortList(void** AList, int32_t ACount, bool AMultiThreaded, TListSortCompare ACompare);
void dxQuickSortList(void** AList, int32_t ACount, bool AMultiThreaded,
                     const TdxListSortCompareFunc& ACompare);

enum TdxListDirection : uint8_t { ldFromBeginning, ldFromEnd };

// A list of pointers without notifications.
class TdxFastList : public TObject {
  QD_CLASS(TdxFastList, TObject)

 public:
  explicit TdxFastList(int32_t ACapacity = 0);
  ~TdxFastList() override;

  int32_t Add(void* AItem);
  void Insert(int32_t AIndex, void* AItem);
  // Inserts every item of AList at AIndex.
  void Insert(int32_t AIndex, const TdxFastList* AList);
  void Delete(int32_t AIndex);
  void DeleteRange(int32_t AIndex, int32_t ACount);
  void* ExtractByIndex(int32_t AIndex);
  // Removes the first occurrence; yields its former index or -1.
  int32_t Remove(void* AItem);
  // Removes the first occurrence found in ADirection; yields the item or nullptr.
  void* Extract(void* AItem, TdxListDirection ADirection = ldFromBeginning);
  int32_t IndexOf(void* AItem, TdxListDirection ADirection = ldFromBeginning) const;
  void Exchange(int32_t AIndex1, int32_t AIndex2);
  void Move(int32_t ACurrentIndex, int32_t ANewIndex);
  TdxFastList* Expand();
  void Reverse();
  // Removes every entry equal to APattern, keeping the order and the capacity.
  void Pack(void* APattern = nullptr);

  // Copies, or combines with the platform's list-assignment operators.
  void Assign(const TdxFastList* ASource, TListAssignOp AOperator = laCopy);
  void Assign(const TList* ASource, TListAssignOp AOperator = laCopy);
  // A new platform list with the same entries, owned by the caller.
  TList* GetTList() const;

  void Sort(TListSortCompare ACompare, bool AMultiThreaded = false);
  void Sort(const TdxListSortCompareFunc& ACompare, bool AMultiThreaded = false);

  void* First() const;
  void* Last() const;
  void* Items(int32_t AIndex) const;
  void SetItems(int32_t AIndex, void* AItem) { Put(AIndex, AItem); }
  void* operator[](int32_t AIndex) const { return Items(AIndex); }
  bool Empty() const { return FCount == 0; }
  // True for a null list or a list without items.
  static bool Empty(const TdxFastList* AList) { return !AList || AList->FCount == 0; }

  int32_t Count() const { return FCount; }
  virtual void SetCount(int32_t AValue);
  int32_t Capacity() const { return FCapacity; }
  void SetCapacity(int32_t AValue);
  // Direct access to the array.
  void** List() const { return FList; }

  virtual void Clear();

 protected:
  void Grow();
  void Put(int32_t AIndex, void* AItem);
  void CheckIndex(int32_t AIndex) const;
  [[noreturn]] static void ArgumentOutOfRange();
  // Deletes entries without freeing anything.
  void DoDeleteRange(int32_t AIndex, int32_t ACount);
  template <class F>
  void DoAssign(int32_t ASourceCount, F ASourceItem, TListAssignOp AOperator);

  void** FList = nullptr;
  int32_t FCount = 0;
  int32_t FCapacity = 0;
};

// A fast list of objects that frees them when it owns them.
class TdxFastObjectList : public TdxFastList {
  QD_CLASS(TdxFastObjectList, TdxFastList)

 public:
  explicit TdxFastObjectList(bool AOwnsObjects = true, int32_t ACapacity = 0);
  ~TdxFastObjectList() override;

  int32_t Add(TObject* AObject) { return TdxFastList::Add(AObject); }
  void Insert(int32_t AIndex, TObject* AObject) { TdxFastList::Insert(AIndex, AObject); }
  void Delete(int32_t AIndex);
  void DeleteRange(int32_t AIndex, int32_t ACount);
  // Removes without freeing.
  void ExtractRange(int32_t AIndex, int32_t ACount);
  TObject* Extract(TObject* AObject);
  // Deletes the first occurrence (freeing it when owning); yields its former index or -1.
  int32_t Remove(TObject* AObject);
  int32_t IndexOf(TObject* AObject, TdxListDirection ADirection = ldFromBeginning) const {
    return TdxFastList::IndexOf(AObject, ADirection);
  }

  TObject* Items(int32_t AIndex) const { return static_cast<TObject*>(TdxFastList::Items(AIndex)); }
  // Frees the replaced object when owning and a different object is stored.
  void SetItems(int32_t AIndex, TObject* AObject);
  TObject* operator[](int32_t AIndex) const { return Items(AIndex); }
  TObject* First() const { return static_cast<TObject*>(TdxFastList::First()); }
  TObject* Last() const { return static_cast<TObject*>(TdxFastList::Last()); }

  void SetCount(int32_t AValue) override;
  void Clear() override;

  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool AValue) { FOwnsObjects = AValue; }

 private:
  bool FOwnsObjects;
};

// --- String comparers -----------------------------------------------------------------

// h1 = h2 = 5381, the code units taken in pairs (h1 = h1 * 33 xor first, h2 = h2 * 33 xor
// second) until a terminating zero; h1 + h2 * 1566083941, all wrapping at 32 bits.
int32_t GetHashCodeOfString(const String& S);

class TdxCustomStringComparer {
 public:
  virtual ~TdxCustomStringComparer() = default;
  virtual int32_t Compare(const String& Left, const String& Right) const = 0;
  virtual bool Equals(const String& Left, const String& Right) const = 0;
  virtual int32_t GetHashCode(const String& Value) const = 0;
};

// Compares the UTF-16 code units as little-endian bytes in memory order.
class TdxOrdinalStringComparer : public TdxCustomStringComparer {
 public:
  int32_t Compare(const String& Left, const String& Right) const override;
  bool Equals(const String& Left, const String& Right) const override;
  int32_t GetHashCode(const String& Value) const override;
};

// The ordinal comparer applied to the locale lower-case forms.
class TdxOrdinalIStringComparer : public TdxCustomStringComparer {
 public:
  int32_t Compare(const String& Left, const String& Right) const override;
  bool Equals(const String& Left, const String& Right) const override;
  int32_t GetHashCode(const String& Value) const override;
};

struct TdxStringComparer {
  static TdxOrdinalStringComparer* Ordinal();
};
struct TdxIStringComparer {
  static TdxOrdinalIStringComparer* Ordinal();
};

// --- Multicast events ------------------------------------------------------------------

// The shared handler list of a multicast method. Adding and removing take the lock;
// a call goes over the handlers present at its start and skips those removed meanwhile.
template <class T>
class TdxMulticastImplementator {
 public:
  void Add(const T& AHandler) {
    std::lock_guard<std::mutex> lock(FLock);
    FHandlers.push_back(std::make_shared<TEntry>(AHandler));
  }
  void Remove(const T& AHandler) {
    std::lock_guard<std::mutex> lock(FLock);
    for (auto it = FHandlers.begin(); it != FHandlers.end(); ++it)
      if ((*it)->Handler == AHandler) {
        (*it)->Removed = true;
        FHandlers.erase(it);
        return;
      }
  }
  void Clear() {
    std::lock_guard<std::mutex> lock(FLock);
    for (auto& e : FHandlers) e->Removed = true;
    FHandlers.clear();
  }
  int32_t Count() const {
    std::lock_guard<std::mutex> lock(FLock);
    return static_cast<int32_t>(FHandlers.size());
  }
  template <class... A>
  void Invoke(A&&... AArgs) const {
    std::vector<std::shared_ptr<TEntry>> snapshot;
    {
      std::lock_guard<std::mutex> lock(FLock);
      snapshot = FHandlers;
    }
    for (const auto& e : snapshot)
      if (!e->Removed) e->Handler(AArgs...);
  }

 private:
  struct TEntry {
    explicit TEntry(const T& AHandler) : Handler(AHandler) {}
    T Handler;
    std::atomic<bool> Removed{false};
  };
  mutable std::mutex FLock;
  std::vector<std::shared_ptr<TEntry>> FHandlers;
};

// An event with any number of handlers, called in the order of adding; duplicates are
// kept. Copies made after the first Add share one handler list.
template <class T>
class TdxMulticastMethod {
 public:
  void Add(const T& AHandler) {
    CheckImplementator();
    FImplementator->Add(AHandler);
  }
  void Remove(const T& AHandler) {
    if (FImplementator) FImplementator->Remove(AHandler);
  }
  void Clear() {
    if (FImplementator) FImplementator->Clear();
  }
  // Makes ADestination share this event's handlers.
  void Clone(TdxMulticastMethod& ADestination) {
    CheckImplementator();
    ADestination.FImplementator = FImplementator;
  }
  bool Empty() const { return !FImplementator || FImplementator->Count() == 0; }
  template <class... A>
  void Invoke(A&&... AArgs) const {
    if (FImplementator) FImplementator->Invoke(std::forward<A>(AArgs)...);
  }
  template <class... A>
  void operator()(A&&... AArgs) const {
    Invoke(std::forward<A>(AArgs)...);
  }

 private:
  void CheckImplementator() {
    if (!FImplementator) FImplementator = std::make_shared<TdxMulticastImplementator<T>>();
  }
  std::shared_ptr<TdxMulticastImplementator<T>> FImplementator;
};

namespace dxCoreClasses {
// Frees the shared comparers.
void Finalize();
}  // namespace dxCoreClasses

}  // namespace qd
