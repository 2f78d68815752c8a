#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/base/exceptions.h"
#include "ui/core/cxClasses.h"
#include "ui/core/dxCoreClasses.h"
#include "ui/core/dxHash.h"

namespace qd {
namespace {

void* P(intptr_t v) {
  return reinterpret_cast<void*>(v);
}

std::vector<intptr_t> Items(const TdxFastList& L) {
  std::vector<intptr_t> r;
  for (int32_t i = 0; i < L.Count(); ++i) r.push_back(reinterpret_cast<intptr_t>(L.List()[i]));
  return r;
}

void Fill(TdxFastList& L, std::initializer_list<intptr_t> v) {
  L.Clear();
  for (intptr_t x : v) L.Add(P(x));
}

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.what();
  }
  return "no error";
}

TEST(FastList, GrowthSteps) {
  TdxFastList L;
  std::vector<int32_t> capacities;
  for (int i = 0; i < 250; ++i) {
    int32_t before = L.Capacity();
    L.Add(P(i));
    if (L.Capacity() != before) capacities.push_back(L.Capacity());
  }
  EXPECT_EQ(capacities, (std::vector<int32_t>{16, 32, 64, 96, 128, 160, 240, 360}));
}

TEST(FastList, IndexAndRangeErrors) {
  TdxFastList L;
  Fill(L, {1, 2, 3});
  struct Row {
    std::function<void()> call;
    const char* error;
  } rows[] = {
      {[&] { L.Insert(4, P(9)); }, "List index out of bounds (4)"},
      {[&] { L.Insert(-1, P(9)); }, "List index out of bounds (-1)"},
      {[&] { L.Delete(3); }, "List index out of bounds (3)"},
      {[&] { L.Items(-2); }, "List index out of bounds (-2)"},
      {[&] { L.Exchange(0, 7); }, "List index out of bounds (7)"},
      {[&] { L.Exchange(5, 7); }, "List index out of bounds (5)"},
      {[&] { L.Move(8, 9); }, "List index out of bounds (9)"},  // the new index is checked first
      {[&] { L.DeleteRange(2, 2); }, "Argument out of range"},
      {[&] { L.DeleteRange(-1, 1); }, "Argument out of range"},
      {[&] { L.SetCapacity(2); }, "List capacity out of bounds (2)"},
      {[&] { L.SetCount(-1); }, "List count out of bounds (-1)"},
  };
  for (const Row& r : rows) EXPECT_EQ(ErrorOf(r.call), r.error);
  EXPECT_EQ(Items(L), (std::vector<intptr_t>{1, 2, 3}));
  L.Insert(3, P(4));  // at the count: appends
  EXPECT_EQ(Items(L), (std::vector<intptr_t>{1, 2, 3, 4}));
}

TEST(FastList, EditingOperations) {
  TdxFastList L;
  Fill(L, {1, 2, 3, 2, 5});
  EXPECT_EQ(L.IndexOf(P(2)), 1);
  EXPECT_EQ(L.IndexOf(P(2), ldFromEnd), 3);
  EXPECT_EQ(L.Extract(P(2), ldFromEnd), P(2));
  EXPECT_EQ(Items(L), (std::vector<intptr_t>{1, 2, 3, 5}));
  EXPECT_EQ(L.Extract(P(7)), nullptr);
  EXPECT_EQ(L.Remove(P(3)), 2);
  EXPECT_EQ(L.Remove(P(3)), -1);
  L.Move(0, 2);
  EXPECT_EQ(Items(L), (std::vector<intptr_t>{2, 5, 1}));
  L.Move(2, 0);
  EXPECT_EQ(Items(L), (std::vector<intptr_t>{1, 2, 5}));
  L.Reverse();
  EXPECT_EQ(Items(L), (std::vector<intptr_t>{5, 2, 1}));
  EXPECT_EQ(L.ExtractByIndex(1), P(2));
  L.SetCount(4);
  EXPECT_EQ(Items(L), (std::vector<intptr_t>{5, 1, 0, 0}));

  TdxFastList other;
  Fill(other, {8, 9});
  L.Insert(1, &other);
  EXPECT_EQ(Items(L), (std::vector<intptr_t>{5, 8, 9, 1, 0, 0}));
  L.Insert(0, &L);  // a list inserted into itself
  EXPECT_EQ(Items(L), (std::vector<intptr_t>{5, 8, 9, 1, 0, 0, 5, 8, 9, 1, 0, 0}));
  L.DeleteRange(2, 8);
  EXPECT_EQ(Items(L), (std::vector<intptr_t>{5, 8, 0, 0}));
  L.Clear();
  EXPECT_EQ(L.Capacity(), 0);
  EXPECT_TRUE(TdxFastList::Empty(nullptr));
  EXPECT_TRUE(TdxFastList::Empty(&L));
}

TEST(FastList, PackKeepsOrderAndCapacity) {
  TdxFastList L;
  Fill(L, {0, 1, 0, 2, 0, 3, 0});
  int32_t capacity = L.Capacity();
  L.Pack();
  EXPECT_EQ(Items(L), (std::vector<intptr_t>{1, 2, 3}));
  EXPECT_EQ(L.Capacity(), capacity);
  Fill(L, {7, 7, 7});
  L.Pack(P(7));
  EXPECT_EQ(L.Count(), 0);
  EXPECT_EQ(L.Capacity(), 16);
}

TEST(FastList, AssignOperators) {
  using Op = TListAssignOp;
  struct Row {
    Op op;
    std::initializer_list<intptr_t> dest, source;
    std::vector<intptr_t> result;
  } rows[] = {
      {Op::laCopy, {1, 2}, {3, 4, 5}, {3, 4, 5}},      {Op::laAnd, {1, 2, 3, 4}, {4, 2, 9}, {2, 4}},
      {Op::laOr, {1, 2}, {3, 2, 4}, {1, 2, 3, 4}},     {Op::laXor, {1, 2, 3}, {3, 4, 1, 5}, {2, 4, 5}},
      {Op::laSrcUnique, {1, 2, 3, 4}, {2, 4}, {1, 3}}, {Op::laDestUnique, {2}, {1, 2, 3}, {3, 1}},
  };
  for (const Row& r : rows) {
    TdxFastList dest, source;
    Fill(dest, r.dest);
    Fill(source, r.source);
    dest.Assign(&source, r.op);
    EXPECT_EQ(Items(dest), r.result) << static_cast<int>(r.op);
  }
  // From and to the platform's list.
  TList platformList;
  platformList.Add(P(4));
  platformList.Add(P(6));
  TdxFastList fromPlatform;
  Fill(fromPlatform, {6, 7});
  fromPlatform.Assign(&platformList, laOr);
  EXPECT_EQ(Items(fromPlatform), (std::vector<intptr_t>{6, 7, 4}));
  fromPlatform.Assign(&platformList);
  EXPECT_EQ(Items(fromPlatform), (std::vector<intptr_t>{4, 6}));
  std::unique_ptr<TList> back(fromPlatform.GetTList());
  ASSERT_EQ(back->Count(), 2);
  EXPECT_EQ(back->Items(1), P(6));

  TdxFastList a, b;
  Fill(a, {1});
  a.SetCapacity(100);
  b.Assign(&a);
  EXPECT_EQ(b.Capacity(), 100);
}

int gFreed = 0;
struct Counted : TObject {
  ~Counted() override { ++gFreed; }
};

TEST(FastObjectList, OwnershipRules) {
  gFreed = 0;
  {
    TdxFastObjectList L(true);
    auto* a = new Counted;
    auto* b = new Counted;
    auto* c = new Counted;
    L.Add(a);
    L.Add(b);
    L.Add(c);
    L.SetItems(0, a);  // the same object again: kept
    EXPECT_EQ(gFreed, 0);
    L.SetItems(0, new Counted);  // replaced: freed
    EXPECT_EQ(gFreed, 1);
    EXPECT_EQ(L.Extract(b), b);  // never frees
    EXPECT_EQ(gFreed, 1);
    delete b;
    EXPECT_EQ(L.Remove(c), 1);
    EXPECT_EQ(gFreed, 3);
    for (int i = 0; i < 4; ++i) L.Add(new Counted);
    L.DeleteRange(1, 2);
    EXPECT_EQ(gFreed, 5);
    L.SetCount(1);
    EXPECT_EQ(gFreed, 7);
  }  // the destructor frees the rest
  EXPECT_EQ(gFreed, 8);

  gFreed = 0;
  Counted x;
  {
    TdxFastObjectList L(false);
    L.Add(&x);
    L.Delete(0);
    L.Add(&x);
  }
  EXPECT_EQ(gFreed, 0);
}

TEST(ObjectList, FreesOnlyWhenOwning) {
  gFreed = 0;
  {
    TcxObjectList L;  // owning by default
    auto* a = new Counted;
    auto* b = new Counted;
    L.Add(a);
    L.Add(b);
    L.Add(new Counted);
    EXPECT_EQ(L.FreeAndRemove(b), 1);
    EXPECT_EQ(L.FreeAndRemove(b), -1);
    EXPECT_EQ(gFreed, 1);
    L.FreeAndDelete(0);
    EXPECT_EQ(gFreed, 2);
    EXPECT_EQ(L.Count(), 1);
  }
  EXPECT_EQ(gFreed, 3);
  gFreed = 0;
  Counted x;
  {
    TcxObjectList L(false);
    L.Add(&x);
    L.Clear();
    L.Add(&x);
  }
  EXPECT_EQ(gFreed, 0);
}

// --- Doubly linked list, event handler collection ---------------------------------------

TEST(DoublyLinkedObjectList, LinksAndOwnership) {
  gFreed = 0;
  struct Node : TcxDoublyLinkedObject {
    ~Node() override { ++gFreed; }
  };
  struct NodeList : TcxDoublyLinkedObjectList {
    TcxDoublyLinkedObject* CreateLinkedObject() override { return new Node; }
  };
  {
    NodeList L;
    auto* a = L.Add();
    auto* c = L.Add();
    auto* b = new Node;
    L.InsertAfter(a, b);
    auto* z = new Node;
    L.InsertBefore(a, z);
    EXPECT_EQ(L.First(), z);
    EXPECT_EQ(L.Last(), c);
    EXPECT_EQ(L.Count(), 4);
    std::vector<TcxDoublyLinkedObject*> order;
    for (auto* n = L.First(); n; n = n->Next()) order.push_back(n);
    EXPECT_EQ(order, (std::vector<TcxDoublyLinkedObject*>{z, a, b, c}));
    L.Extract(c);
    EXPECT_EQ(L.Last(), b);
    EXPECT_EQ(c->Prev(), b);  // its own links are left
    delete c;
    L.Remove(z);
    EXPECT_EQ(L.First(), a);
    EXPECT_EQ(gFreed, 2);
  }
  EXPECT_EQ(gFreed, 4);
}

struct Recorder {
  std::string* log;
  char name;
  TcxEventHandlerCollection* coll = nullptr;
  TcxEventHandler toRemove;
  void Handle(TObject*, const void* args) {
    *log += name;
    *log += std::to_string(*static_cast<const int32_t*>(args));
    if (coll && toRemove) coll->Remove(toRemove);
  }
};

TEST(EventHandlerCollection, DuplicatesIgnoredAndRemovalDuringCall) {
  std::string log;
  Recorder a{&log, 'a'}, b{&log, 'b'}, c{&log, 'c'};
  TcxEventHandlerCollection coll;
  const TcxEventHandler ha = MakeMethod(&a, &Recorder::Handle);
  const TcxEventHandler hb = MakeMethod(&b, &Recorder::Handle);
  const TcxEventHandler hc = MakeMethod(&c, &Recorder::Handle);
  coll.Add(ha);
  coll.Add(hb);
  coll.Add(ha);
  coll.Add(hc);
  EXPECT_EQ(coll.Count(), 3);
  coll.CallEvents(nullptr);
  EXPECT_EQ(log, "a0b0c0");
  int32_t args = 7;
  a.coll = &coll;
  a.toRemove = hb;  // a removes b while the collection is being called
  log.clear();
  coll.CallEvents(nullptr, &args);
  EXPECT_EQ(log, "a7c7");
  coll.Remove(hb);  // absent: nothing
  EXPECT_EQ(coll.Count(), 2);
}

// --- Sorting -----------------------------------------------------------------------------

struct Rec {
  int key;
  int id;
};
int CompareRec(void* a, void* b) {
  return static_cast<Rec*>(a)->key - static_cast<Rec*>(b)->key;
}

TEST(QuickSortList, SortsAnyInputOfManySizes) {
  std::mt19937 rng(12345);
  for (int n : {0, 1, 2, 3, 34, 35, 36, 37, 70, 71, 100, 1000, 5000}) {
    for (int range : {3, 1000000}) {
      std::vector<Rec> recs(static_cast<size_t>(n));
      for (int i = 0; i < n; ++i) recs[static_cast<size_t>(i)] = {static_cast<int>(rng() % range), i};
      std::vector<void*> v;
      for (auto& r : recs) v.push_back(&r);
      dxQuickSortList(v.data(), n, false, &CompareRec);
      std::vector<void*> sortedPtrs = v;
      std::sort(sortedPtrs.begin(), sortedPtrs.end());
      std::vector<void*> orig;
      for (auto& r : recs) orig.push_back(&r);
      EXPECT_EQ(sortedPtrs, orig) << n;  // a permutation
      EXPECT_TRUE(std::is_sorted(v.begin(), v.end(), [](void* a, void* b) { return CompareRec(a, b) < 0; }))
          << n;
    }
  }
  // Already sorted, reversed and organ-pipe inputs.
  for (int shape = 0; shape < 3; ++shape) {
    std::vector<Rec> recs(2000);
    for (int i = 0; i < 2000; ++i)
      recs[static_cast<size_t>(i)] = {shape == 0 ? i : shape == 1 ? 2000 - i : std::min(i, 2000 - i), i};
    std::vector<void*> v;
    for (auto& r : recs) v.push_back(&r);
    dxQuickSortList(v.data(), 2000, false, &CompareRec);
    EXPECT_TRUE(std::is_sorted(v.begin(), v.end(), [](void* a, void* b) { return CompareRec(a, b) < 0; }));
  }
}

TEST(QuickSortList, TiesFollowTheInsertionPassExactly) {
  // Five items: the sentinel search runs from the last item down to the second and keeps
  // the first strictly smaller one it meets, then straight insertion.
  std::vector<Rec> recs = {{2, 0}, {1, 1}, {3, 2}, {1, 3}, {2, 4}};
  std::vector<void*> v;
  for (auto& r : recs) v.push_back(&r);
  dxQuickSortList(v.data(), 5, false, &CompareRec);
  std::vector<int> ids;
  for (void* p : v) ids.push_back(static_cast<Rec*>(p)->id);
  EXPECT_EQ(ids, (std::vector<int>{3, 1, 0, 4, 2}));
}

TEST(QuickSortList, PartitionStartsAbove35Items) {
  // The first comparison tells the phase: the sentinel search compares item 34 with item 0,
  // the median of three compares the last item with item 0.
  for (int n : {35, 36}) {
    std::vector<Rec> recs(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) recs[static_cast<size_t>(i)] = {n - i, i};
    std::vector<void*> v;
    for (auto& r : recs) v.push_back(&r);
    std::vector<std::pair<int, int>> calls;
    struct Spy {
      std::vector<std::pair<int, int>>* calls;
      int Compare(void* a, void* b) {
        calls->push_back({static_cast<Rec*>(a)->id, static_cast<Rec*>(b)->id});
        return CompareRec(a, b);
      }
    } spy{&calls};
    dxQuickSortList(v.data(), n, false, TdxListSortCompareFunc(&spy, &Spy::Compare));
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0], std::make_pair(n == 35 ? 34 : 35, 0)) << n;
    EXPECT_EQ(static_cast<Rec*>(v[0])->key, 1);
    EXPECT_EQ(static_cast<Rec*>(v[static_cast<size_t>(n - 1)])->key, n);
  }
}

TEST(QuickSortList, InconsistentComparatorStaysInBounds) {
  // A comparator that answers "smaller" at random must not read outside the array.
  std::mt19937 rng(7);
  static std::mt19937* gRng;
  gRng = &rng;
  for (int n : {5, 36, 100, 1000}) {
    std::vector<void*> v;
    for (int i = 0; i < n; ++i) v.push_back(P(i + 1));
    dxQuickSortList(v.data(), n, false, [](void*, void*) { return static_cast<int>((*gRng)() % 3) - 1; });
    std::vector<void*> s = v;
    std::sort(s.begin(), s.end());
    for (int i = 0; i < n; ++i) EXPECT_EQ(s[static_cast<size_t>(i)], P(i + 1));
  }
}

// --- Comparers and hashes ------------------------------------------------------------------

TEST(StringComparers, OrdinalIsByteOrder) {
  auto* c = TdxStringComparer::Ordinal();
  EXPECT_EQ(c, TdxStringComparer::Ordinal());
  EXPECT_GT(c->Compare(u"A", u"\u0100"), 0);  // low bytes 0x41 and 0x00 come first
  EXPECT_LT(c->Compare(u"ab", u"abc"), 0);
  EXPECT_EQ(c->Compare(u"abc", u"abc"), 0);
  EXPECT_EQ(c->Compare(u"b", u"a"), 1);
  EXPECT_FALSE(c->Equals(u"a", u"A"));
  auto* ci = TdxIStringComparer::Ordinal();
  EXPECT_EQ(ci->Compare(u"ÀB", u"àb"), 0);
  EXPECT_TRUE(ci->Equals(u"Ação", u"AÇÃO"));
  EXPECT_EQ(ci->GetHashCode(u"ABC"), c->GetHashCode(u"abc"));
}

TEST(Hashes, KnownVectors) {
  const std::string digits = "123456789";
  EXPECT_EQ(dxCRC32(digits.data(), digits.size()), 0xCBF43926u);
  EXPECT_EQ(dxCRC32("abc", 3), 0x352441C2u);
  EXPECT_EQ(dxCRC32("", 0), 0u);
  // The running form continues a register.
  uint32_t reg = dxCRC32(digits.data(), 4, 0xFFFFFFFFu);
  reg = dxCRC32(digits.data() + 4, 5, reg);
  EXPECT_EQ(~reg, 0xCBF43926u);

  const std::string four = "Four score and seven years ago";
  EXPECT_EQ(dxBobJenkinsHash("", 0, 0), 0xDEADBEEFu);
  EXPECT_EQ(dxBobJenkinsHash("", 0, 0xDEADBEEFu), 0xBD5B7DDEu);
  EXPECT_EQ(dxBobJenkinsHash(four.data(), four.size(), 0), 0x17770551u);
  EXPECT_EQ(dxBobJenkinsHash(four.data(), four.size(), 1), 0xCD628161u);

  // h = len; h = (h << 7) ^ b ...; then the three subtractions.
  EXPECT_EQ(dxDotNetHash("", 0), 0u);
  uint32_t h = 1;
  h = (h << 7) ^ 'a';
  h -= h >> 17;
  h -= h >> 11;
  h -= h >> 5;
  EXPECT_EQ(dxDotNetHash("a", 1), h);
  EXPECT_EQ(dxDotNetHash("a", 1), 218u);
}

TEST(Hashes, HashCodeOfString) {
  const uint32_t empty = 5381u + 5381u * 1566083941u;
  EXPECT_EQ(static_cast<uint32_t>(GetHashCodeOfString(u"")), empty);
  // "a": h1 = 5381 * 33 ^ 'a', h2 untouched.
  EXPECT_EQ(static_cast<uint32_t>(GetHashCodeOfString(u"a")), ((5381u * 33u) ^ 'a') + 5381u * 1566083941u);
  EXPECT_EQ(static_cast<uint32_t>(GetHashCodeOfString(u"ab")),
            ((5381u * 33u) ^ 'a') + ((5381u * 33u) ^ 'b') * 1566083941u);
  // A zero code unit ends the text as the terminator does.
  EXPECT_EQ(GetHashCodeOfString(String(u"ab\0cd", 5)), GetHashCodeOfString(u"ab"));
  EXPECT_NE(GetHashCodeOfString(u"abc"), GetHashCodeOfString(u"abd"));
}

}  // namespace
}  // namespace qd
