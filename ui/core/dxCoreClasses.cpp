#include "ui/core/dxCoreClasses.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/base/exceptions.h"
#include "platform/base/strings.h"
#include "ui/core/dxThreading.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxFastList)
QD_IMPLEMENT_CLASS(TdxFastObjectList)

// --- Sorting -------------------------------------------------------------------------

namespace {

// Parts of at most this many items are left to the insertion pass.
constexpr int32_t kInsertionThreshold = 35;

template <class Cmp>
void QuickSortPart(void** L, int32_t last, const Cmp& cmp) {
  while (last >= kInsertionThreshold) {
    const int32_t mid = last / 2;
    if (cmp(L[last], L[0]) < 0) std::swap(L[last], L[0]);
    if (cmp(L[mid], L[0]) < 0)
      std::swap(L[mid], L[0]);
    else if (cmp(L[last], L[mid]) < 0)
      std::swap(L[last], L[mid]);
    void* const pivot = L[mid];
    int32_t i = 0;
    int32_t j = last;
    // The bounds only matter for a comparator that contradicts itself; a consistent one
    // stops at the median-of-three guards first.
    auto scan = [&] {
      do ++i;
      while (i < last && cmp(L[i], pivot) < 0);
      do --j;
      while (j > 0 && cmp(pivot, L[j]) < 0);
    };
    scan();
    while (i < j) {
      std::swap(L[i], L[j]);
      scan();
    }
    // Recurse into the smaller side, loop on the larger one.
    const int32_t leftCount = i;
    const int32_t rightCount = last - j;
    if (rightCount < leftCount) {
      if (rightCount > kInsertionThreshold) QuickSortPart(L + j + 1, rightCount - 1, cmp);
      last = i - 1;
    } else {
      if (leftCount > kInsertionThreshold) QuickSortPart(L, leftCount - 1, cmp);
      L += j + 1;
      last = rightCount - 1;
    }
  }
}

template <class Cmp>
void SequentialSort(void** L, int32_t ACount, const Cmp& cmp) {
  const int32_t last = ACount - 1;
  QuickSortPart(L, last, cmp);
  // The smallest of the first items is the smallest of all once the quicksort pass has
  // run: it becomes the sentinel of the insertion pass.
  int32_t candidate = 0;
  for (int32_t p = std::min(last, kInsertionThreshold - 1); p >= 1; --p)
    if (cmp(L[p], L[candidate]) < 0) candidate = p;
  std::swap(L[0], L[candidate]);
  for (int32_t i = 2; i <= last; ++i) {
    void* const t = L[i];
    int32_t j = i;
    while (j > 0 && cmp(t, L[j - 1]) < 0) {
      L[j] = L[j - 1];
      --j;
    }
    L[j] = t;
  }
}

}  // namespace

namespace {

bool UseParallelSort(bool AMultiThreaded, int32_t ACount) {
  return AMultiThreaded && ACount > 32 && dxSortHelper && dxCanUseMultiThreading();
}

}  // namespace

void dxQuickSortList(void** AList, int32_t ACount, bool AMultiThreaded, TListSortCompare ACompare) {
  if (!AList || ACount < 2 || !ACompare) return;
  if (UseParallelSort(AMultiThreaded, ACount))
    dxSortHelper->Sort(AList, ACount, ACompare);
  else
    SequentialSort(AList, ACount, ACompare);
}

void dxQuickSortList(void** AList, int32_t ACount, bool AMultiThreaded,
                     const TdxListSortCompareFunc& ACompare) {
  if (!AList || ACount < 2 || !ACompare) return;
  if (UseParallelSort(AMultiThreaded, ACount))
    dxSortHelper->Sort(AList, ACount, ACompare);
  else
    SequentialSort(AList, ACount, ACompare);
}

// --- TdxFastList -----------------------------------------------------------------------

namespace {

[[noreturn]] void ListError(const char16_t* AText, int64_t AValue) {
  throw EListError(String(AText) + u" (" + IntToStr(AValue) + u")");
}

}  // namespace

TdxFastList::TdxFastList(int32_t ACapacity) {
  if (ACapacity > 0) SetCapacity(ACapacity);
}

TdxFastList::~TdxFastList() {
  std::free(FList);
  FList = nullptr;
  FCount = FCapacity = 0;
}

void TdxFastList::ArgumentOutOfRange() {
  throw EListError(u"Argument out of range");
}

void TdxFastList::CheckIndex(int32_t AIndex) const {
  if (AIndex < 0 || AIndex >= FCount) RaiseListIndexError(AIndex);
}

void TdxFastList::Grow() {
  int32_t delta;
  if (FCapacity > 128)
    delta = FCapacity / 2;
  else if (FCapacity > 16)
    delta = 32;
  else
    delta = 16;
  SetCapacity(FCapacity + delta);
}

void TdxFastList::SetCapacity(int32_t AValue) {
  if (AValue < FCount) ListError(u"List capacity out of bounds", AValue);
  if (AValue == FCapacity) return;
  if (AValue == 0) {
    std::free(FList);
    FList = nullptr;
  } else {
    void* p = std::realloc(FList, static_cast<size_t>(AValue) * sizeof(void*));
    if (!p) throw std::bad_alloc();
    FList = static_cast<void**>(p);
  }
  FCapacity = AValue;
}

void TdxFastList::SetCount(int32_t AValue) {
  if (AValue < 0) ListError(u"List count out of bounds", AValue);
  if (AValue > FCapacity) SetCapacity(AValue);
  if (AValue > FCount) std::memset(FList + FCount, 0, static_cast<size_t>(AValue - FCount) * sizeof(void*));
  FCount = AValue;
}

void TdxFastList::Clear() {
  FCount = 0;
  SetCapacity(0);
}

int32_t TdxFastList::Add(void* AItem) {
  if (FCount == FCapacity) Grow();
  FList[FCount] = AItem;
  return FCount++;
}

void TdxFastList::Insert(int32_t AIndex, void* AItem) {
  if (AIndex < 0 || AIndex > FCount) RaiseListIndexError(AIndex);
  if (FCount == FCapacity) Grow();
  if (AIndex < FCount)
    std::memmove(FList + AIndex + 1, FList + AIndex, static_cast<size_t>(FCount - AIndex) * sizeof(void*));
  FList[AIndex] = AItem;
  ++FCount;
}

void TdxFastList::Insert(int32_t AIndex, const TdxFastList* AList) {
  if (AIndex < 0 || AIndex > FCount) RaiseListIndexError(AIndex);
  const int32_t n = AList ? AList->FCount : 0;
  if (n == 0) return;
  const int32_t newCount = FCount + n;
  if (newCount > FCapacity) SetCapacity(newCount);
  // AList may be this list: keep its items before shifting.
  std::vector<void*> items(AList->FList, AList->FList + n);
  if (AIndex < FCount)
    std::memmove(FList + AIndex + n, FList + AIndex, static_cast<size_t>(FCount - AIndex) * sizeof(void*));
  std::memcpy(FList + AIndex, items.data(), static_cast<size_t>(n) * sizeof(void*));
  FCount = newCount;
}

void TdxFastList::DoDeleteRange(int32_t AIndex, int32_t ACount) {
  if (ACount <= 0) return;
  const int32_t tail = FCount - AIndex - ACount;
  if (tail > 0)
    std::memmove(FList + AIndex, FList + AIndex + ACount, static_cast<size_t>(tail) * sizeof(void*));
  FCount -= ACount;
}

void TdxFastList::Delete(int32_t AIndex) {
  CheckIndex(AIndex);
  DoDeleteRange(AIndex, 1);
}

void TdxFastList::DeleteRange(int32_t AIndex, int32_t ACount) {
  if (AIndex < 0 || ACount < 0 || static_cast<int64_t>(AIndex) + ACount > FCount) ArgumentOutOfRange();
  DoDeleteRange(AIndex, ACount);
}

void* TdxFastList::ExtractByIndex(int32_t AIndex) {
  CheckIndex(AIndex);
  void* item = FList[AIndex];
  DoDeleteRange(AIndex, 1);
  return item;
}

int32_t TdxFastList::Remove(void* AItem) {
  const int32_t index = IndexOf(AItem);
  if (index >= 0) DoDeleteRange(index, 1);
  return index;
}

void* TdxFastList::Extract(void* AItem, TdxListDirection ADirection) {
  const int32_t index = IndexOf(AItem, ADirection);
  if (index < 0) return nullptr;
  void* item = FList[index];
  DoDeleteRange(index, 1);
  return item;
}

int32_t TdxFastList::IndexOf(void* AItem, TdxListDirection ADirection) const {
  if (ADirection == ldFromBeginning) {
    for (int32_t i = 0; i < FCount; ++i)
      if (FList[i] == AItem) return i;
  } else {
    for (int32_t i = FCount - 1; i >= 0; --i)
      if (FList[i] == AItem) return i;
  }
  return -1;
}

void TdxFastList::Exchange(int32_t AIndex1, int32_t AIndex2) {
  CheckIndex(AIndex1);
  CheckIndex(AIndex2);
  std::swap(FList[AIndex1], FList[AIndex2]);
}

void TdxFastList::Move(int32_t ACurrentIndex, int32_t ANewIndex) {
  if (ACurrentIndex == ANewIndex) return;
  CheckIndex(ANewIndex);
  CheckIndex(ACurrentIndex);
  void* item = FList[ACurrentIndex];
  if (ACurrentIndex < ANewIndex)
    std::memmove(FList + ACurrentIndex, FList + ACurrentIndex + 1,
                 static_cast<size_t>(ANewIndex - ACurrentIndex) * sizeof(void*));
  else
    std::memmove(FList + ANewIndex + 1, FList + ANewIndex,
                 static_cast<size_t>(ACurrentIndex - ANewIndex) * sizeof(void*));
  FList[ANewIndex] = item;
}

TdxFastList* TdxFastList::Expand() {
  if (FCount == FCapacity) Grow();
  return this;
}

void TdxFastList::Reverse() {
  if (FCount < 2) return;
  std::reverse(FList, FList + FCount);
}

void TdxFastList::Pack(void* APattern) {
  int32_t n = 0;
  for (int32_t i = 0; i < FCount; ++i)
    if (FList[i] != APattern) FList[n++] = FList[i];
  FCount = n;
}

void* TdxFastList::First() const {
  CheckIndex(0);
  return FList[0];
}

void* TdxFastList::Last() const {
  CheckIndex(FCount - 1);
  return FList[FCount - 1];
}

void* TdxFastList::Items(int32_t AIndex) const {
  CheckIndex(AIndex);
  return FList[AIndex];
}

void TdxFastList::Put(int32_t AIndex, void* AItem) {
  CheckIndex(AIndex);
  FList[AIndex] = AItem;
}

template <class F>
void TdxFastList::DoAssign(int32_t ASourceCount, F ASourceItem, TListAssignOp AOperator) {
  auto sourceIndexOf = [&](void* AItem) {
    for (int32_t i = 0; i < ASourceCount; ++i)
      if (ASourceItem(i) == AItem) return i;
    return -1;
  };
  switch (AOperator) {
    case laCopy:
      break;  // handled by the caller
    case laAnd:
      for (int32_t i = FCount - 1; i >= 0; --i)
        if (sourceIndexOf(FList[i]) < 0) DoDeleteRange(i, 1);
      break;
    case laOr:
      for (int32_t i = 0; i < ASourceCount; ++i)
        if (IndexOf(ASourceItem(i)) < 0) Add(ASourceItem(i));
      break;
    case laXor: {
      std::vector<void*> collected;
      for (int32_t i = 0; i < ASourceCount; ++i)
        if (IndexOf(ASourceItem(i)) < 0) collected.push_back(ASourceItem(i));
      for (int32_t i = FCount - 1; i >= 0; --i)
        if (sourceIndexOf(FList[i]) >= 0) DoDeleteRange(i, 1);
      const int32_t needed = FCount + static_cast<int32_t>(collected.size());
      if (FCapacity < needed) SetCapacity(needed);
      for (void* p : collected) Add(p);
      break;
    }
    case laSrcUnique:
      for (int32_t i = FCount - 1; i >= 0; --i)
        if (sourceIndexOf(FList[i]) >= 0) DoDeleteRange(i, 1);
      break;
    case laDestUnique: {
      std::vector<void*> collected;
      for (int32_t i = ASourceCount - 1; i >= 0; --i)
        if (IndexOf(ASourceItem(i)) < 0) collected.push_back(ASourceItem(i));
      FCount = 0;
      if (FCapacity < static_cast<int32_t>(collected.size()))
        SetCapacity(static_cast<int32_t>(collected.size()));
      for (void* p : collected) FList[FCount++] = p;
      break;
    }
  }
}

void TdxFastList::Assign(const TdxFastList* ASource, TListAssignOp AOperator) {
  if (!ASource) return;
  if (AOperator == laCopy) {
    if (ASource == this) return;
    FCount = 0;
    SetCapacity(ASource->FCapacity);
    if (ASource->FCount > 0)
      std::memcpy(FList, ASource->FList, static_cast<size_t>(ASource->FCount) * sizeof(void*));
    FCount = ASource->FCount;
    return;
  }
  // The source may be this list; work on a copy of its entries.
  const std::vector<void*> source(ASource->FList, ASource->FList + ASource->FCount);
  DoAssign(
      static_cast<int32_t>(source.size()), [&](int32_t i) { return source[static_cast<size_t>(i)]; },
      AOperator);
}

void TdxFastList::Assign(const TList* ASource, TListAssignOp AOperator) {
  if (!ASource) return;
  const int32_t n = ASource->Count();
  if (AOperator == laCopy) {
    FCount = 0;
    SetCapacity(std::max(ASource->Capacity(), n));
    for (int32_t i = 0; i < n; ++i) FList[i] = ASource->Get(i);
    FCount = n;
    return;
  }
  const std::vector<void*> source = [&] {
    std::vector<void*> v;
    for (int32_t i = 0; i < n; ++i) v.push_back(ASource->Get(i));
    return v;
  }();
  DoAssign(
      n, [&](int32_t i) { return source[static_cast<size_t>(i)]; }, AOperator);
}

TList* TdxFastList::GetTList() const {
  auto* list = new TList();
  list->SetCapacity(FCount);
  for (int32_t i = 0; i < FCount; ++i) list->Add(FList[i]);
  return list;
}

void TdxFastList::Sort(TListSortCompare ACompare, bool AMultiThreaded) {
  dxQuickSortList(FList, FCount, AMultiThreaded, ACompare);
}

void TdxFastList::Sort(const TdxListSortCompareFunc& ACompare, bool AMultiThreaded) {
  dxQuickSortList(FList, FCount, AMultiThreaded, ACompare);
}

// --- TdxFastObjectList -----------------------------------------------------------------

TdxFastObjectList::TdxFastObjectList(bool AOwnsObjects, int32_t ACapacity)
    : TdxFastList(ACapacity), FOwnsObjects(AOwnsObjects) {}

TdxFastObjectList::~TdxFastObjectList() {
  Clear();
}

void TdxFastObjectList::Clear() {
  // The list is emptied before the objects are freed, so a destructor that removes its
  // object from the list finds nothing to remove.
  std::vector<void*> removed;
  if (FOwnsObjects) removed.assign(FList, FList + FCount);
  TdxFastList::Clear();
  for (void* p : removed) delete static_cast<TObject*>(p);
}

void TdxFastObjectList::Delete(int32_t AIndex) {
  CheckIndex(AIndex);
  TObject* obj = static_cast<TObject*>(FList[AIndex]);
  DoDeleteRange(AIndex, 1);
  if (FOwnsObjects) delete obj;
}

void TdxFastObjectList::DeleteRange(int32_t AIndex, int32_t ACount) {
  if (AIndex < 0 || ACount < 0 || static_cast<int64_t>(AIndex) + ACount > FCount) ArgumentOutOfRange();
  std::vector<void*> removed(FList + AIndex, FList + AIndex + ACount);
  DoDeleteRange(AIndex, ACount);
  if (FOwnsObjects)
    for (void* p : removed) delete static_cast<TObject*>(p);
}

void TdxFastObjectList::ExtractRange(int32_t AIndex, int32_t ACount) {
  TdxFastList::DeleteRange(AIndex, ACount);
}

TObject* TdxFastObjectList::Extract(TObject* AObject) {
  return static_cast<TObject*>(TdxFastList::Extract(AObject, ldFromBeginning));
}

int32_t TdxFastObjectList::Remove(TObject* AObject) {
  const int32_t index = IndexOf(AObject);
  if (index >= 0) Delete(index);
  return index;
}

void TdxFastObjectList::SetItems(int32_t AIndex, TObject* AObject) {
  CheckIndex(AIndex);
  TObject* old = static_cast<TObject*>(FList[AIndex]);
  if (old == AObject) return;
  FList[AIndex] = AObject;
  if (FOwnsObjects) delete old;
}

void TdxFastObjectList::SetCount(int32_t AValue) {
  if (FOwnsObjects && AValue >= 0 && AValue < FCount) {
    std::vector<void*> removed(FList + AValue, FList + FCount);
    TdxFastList::SetCount(AValue);
    for (void* p : removed) delete static_cast<TObject*>(p);
    return;
  }
  TdxFastList::SetCount(AValue);
}

// --- String comparers ------------------------------------------------------------------

int32_t GetHashCodeOfString(const String& S) {
  uint32_t h1 = 5381;
  uint32_t h2 = 5381;
  const size_t n = S.size();
  auto unit = [&](size_t i) -> uint32_t { return i < n ? S[i] : 0; };
  for (size_t i = 0; unit(i) != 0; i += 2) {
    h1 = (h1 * 33) ^ unit(i);
    if (unit(i + 1) == 0) break;
    h2 = (h2 * 33) ^ unit(i + 1);
  }
  return static_cast<int32_t>(h1 + h2 * 1566083941u);
}

namespace {

int32_t OrdinalCompare(const String& L, const String& R) {
  const size_t n = std::min(L.size(), R.size());
  for (size_t i = 0; i < n; ++i) {
    if (L[i] == R[i]) continue;
    // Memory order of UTF-16LE: the low byte first.
    const int32_t lLow = L[i] & 0xFF, rLow = R[i] & 0xFF;
    if (lLow != rLow) return lLow - rLow;
    return static_cast<int32_t>(L[i] >> 8) - static_cast<int32_t>(R[i] >> 8);
  }
  return static_cast<int32_t>(L.size()) - static_cast<int32_t>(R.size());
}

TdxOrdinalStringComparer* FOrdinalComparer = nullptr;
TdxOrdinalIStringComparer* FOrdinalIComparer = nullptr;

}  // namespace

int32_t TdxOrdinalStringComparer::Compare(const String& Left, const String& Right) const {
  return OrdinalCompare(Left, Right);
}

bool TdxOrdinalStringComparer::Equals(const String& Left, const String& Right) const {
  return Left == Right;
}

int32_t TdxOrdinalStringComparer::GetHashCode(const String& Value) const {
  return GetHashCodeOfString(Value);
}

int32_t TdxOrdinalIStringComparer::Compare(const String& Left, const String& Right) const {
  return OrdinalCompare(LowerCase(Left), LowerCase(Right));
}

bool TdxOrdinalIStringComparer::Equals(const String& Left, const String& Right) const {
  return LowerCase(Left) == LowerCase(Right);
}

int32_t TdxOrdinalIStringComparer::GetHashCode(const String& Value) const {
  return GetHashCodeOfString(LowerCase(Value));
}

TdxOrdinalStringComparer* TdxStringComparer::Ordinal() {
  if (!FOrdinalComparer) FOrdinalComparer = new TdxOrdinalStringComparer();
  return FOrdinalComparer;
}

TdxOrdinalIStringComparer* TdxIStringComparer::Ordinal() {
  if (!FOrdinalIComparer) FOrdinalIComparer = new TdxOrdinalIStringComparer();
  return FOrdinalIComparer;
}

namespace dxCoreClasses {

void Finalize() {
  delete FOrdinalComparer;
  FOrdinalComparer = nullptr;
  delete FOrdinalIComparer;
  FOrdinalIComparer = nullptr;
}

}  // namespace dxCoreClasses

}  // namespace qd
