// The parallel merge sort, the parallel list iterator and their fallbacks.
#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/base/strings.h"
#include "platform/classes/lists.h"
#include "threads_test_util.h"
#include "ui/core/dxCoreClasses.h"

namespace qd::testing {
namespace {

struct Item {
  int key;
  int id;
};

std::vector<Item> MakeItems(int ACount, int AKeyRange, unsigned ASeed = 7) {
  std::mt19937 rng(ASeed);
  std::vector<Item> items(ACount);
  for (int i = 0; i < ACount; ++i) items[i] = {static_cast<int>(rng() % static_cast<unsigned>(AKeyRange)), i};
  return items;
}

std::vector<void*> Pointers(std::vector<Item>& AItems) {
  std::vector<void*> p;
  for (Item& i : AItems) p.push_back(&i);
  return p;
}

std::vector<int> Ids(const std::vector<void*>& AList) {
  std::vector<int> ids;
  for (void* p : AList) ids.push_back(static_cast<Item*>(p)->id);
  return ids;
}

int CompareKeys(void* A, void* B) {
  const int a = static_cast<Item*>(A)->key;
  const int b = static_cast<Item*>(B)->key;
  return a < b ? -1 : (a > b ? 1 : 0);
}

// Compares keys and remembers the threads the comparison ran on.
class RecordingCompare {
 public:
  int Compare(void* A, void* B) {
    {
      std::lock_guard lock(m_);
      threads_.insert(GetCurrentThreadId());
    }
    if (throwOnId >= 0 && (static_cast<Item*>(A)->id == throwOnId || static_cast<Item*>(B)->id == throwOnId))
      throw EListError(u"comparison failed");
    return CompareKeys(A, B);
  }
  TdxListSortCompareFunc Method() { return TdxListSortCompareFunc(this, &RecordingCompare::Compare); }
  bool OnlyOnMainThread() {
    std::lock_guard lock(m_);
    return threads_.size() == 1 && *threads_.begin() == MainThreadID();
  }

  int throwOnId = -1;

 private:
  std::mutex m_;
  std::set<DWORD> threads_;
};

void ExpectSortedLikeStdSort(std::vector<Item> AItems, const std::vector<void*>& ASorted) {
  std::vector<Item> expected = AItems;
  std::sort(expected.begin(), expected.end(), [](const Item& a, const Item& b) { return a.key < b.key; });
  std::vector<int> keys;
  for (void* p : ASorted) keys.push_back(static_cast<Item*>(p)->key);
  std::vector<int> expectedKeys;
  for (const Item& i : expected) expectedKeys.push_back(i.key);
  EXPECT_EQ(keys, expectedKeys);
  std::vector<int> ids = Ids(ASorted);
  std::sort(ids.begin(), ids.end());
  std::vector<int> all(AItems.size());
  std::iota(all.begin(), all.end(), 0);
  EXPECT_EQ(ids, all) << "not a permutation of the input";
}

using ParallelSortTest = ThreadingTest;

TEST_F(ParallelSortTest, SortsLikeStdSortForEveryChunkLayout) {
  struct Case {
    int count;
    int threads;  // 1: one chunk, 2-3: 8 chunks, more: 16 chunks
    int keyRange;
  } cases[] = {
      {2, 4, 100},   {31, 4, 1000},   {32, 4, 1000},       {33, 2, 5},           {100, 3, 1 << 30},
      {1000, 4, 10}, {4097, 1, 1000}, {5000, 32, 1 << 30}, {20011, 16, 1 << 30}, {777, 2, 2},
  };
  for (const Case& c : cases) {
    for (bool method : {false, true}) {
      SCOPED_TRACE(::testing::Message()
                   << c.count << " items, " << c.threads << " threads, method " << method);
      std::vector<Item> items = MakeItems(c.count, c.keyRange);
      std::vector<void*> list = Pointers(items);
      TdxMultithreadedSort sort(c.threads);
      RecordingCompare compare;
      if (method)
        sort.Sort(list.data(), c.count, compare.Method());
      else
        sort.Sort(list.data(), c.count, &CompareKeys);
      ExpectSortedLikeStdSort(items, list);
    }
  }
}

TEST_F(ParallelSortTest, EqualKeysTakeTheLaterChunkFirst) {
  // 64 equal items: every merge puts the second run before the first, so the chunks come
  // out in reverse order, each keeping its own order (chunks of 35 or fewer items are only
  // insertion-sorted, which moves nothing on ties).
  struct Case {
    int threads;
    int chunks;
  } cases[] = {{2, 8}, {4, 16}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.threads);
    std::vector<Item> items(64);
    for (int i = 0; i < 64; ++i) items[i] = {5, i};
    std::vector<void*> list = Pointers(items);
    TdxMultithreadedSort(c.threads).Sort(list.data(), 64, &CompareKeys);
    std::vector<int> expected;
    const int size = 64 / c.chunks;
    for (int chunk = c.chunks - 1; chunk >= 0; --chunk)
      for (int i = 0; i < size; ++i) expected.push_back(chunk * size + i);
    EXPECT_EQ(Ids(list), expected);
  }
}

TEST_F(ParallelSortTest, QuickSortListGoesParallelOnlyWhenAllowedAndLongEnough) {
  Restart(8);
  struct Case {
    int count;
    bool multiThreaded;
    bool enabled;
    bool parallel;
  } cases[] = {
      {33, true, true, true},     {32, true, true, false},  {5000, false, true, false},
      {5000, true, false, false}, {5000, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.count << " " << c.multiThreaded << " " << c.enabled);
    dxEnableMultiThreading = c.enabled;
    std::vector<Item> items = MakeItems(c.count, 1 << 20);
    std::vector<void*> list = Pointers(items);
    RecordingCompare compare;
    dxQuickSortList(list.data(), c.count, c.multiThreaded, compare.Method());
    ExpectSortedLikeStdSort(items, list);
    EXPECT_EQ(!compare.OnlyOnMainThread(), c.parallel);
  }
}

TEST_F(ParallelSortTest, FallbacksWithoutPoolOrSecondProcessor) {
  struct Case {
    DWORD processors;
    Pool pool;
    bool canUse;
  } cases[] = {
      {1, Pool::Present, false},
      {8, Pool::Missing, false},
      {8, Pool::HalfRefusing, true},
      {2, Pool::Present, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.processors << " processors, pool " << static_cast<int>(c.pool));
    Restart(c.processors, c.pool);
    EXPECT_EQ(dxCanUseMultiThreading(), c.canUse);
    EXPECT_EQ(dxSortHelper != nullptr, c.canUse);
    EXPECT_EQ(dxListIterator != nullptr, c.canUse);
    ASSERT_NE(dxTasksDispatcher, nullptr);
    if (dxSortHelper) {
      EXPECT_EQ(dxSortHelper->ThreadCount(), std::min<int>(4 * c.processors, 32));
    }

    std::vector<Item> items = MakeItems(3000, 1 << 20);
    std::vector<void*> list = Pointers(items);
    RecordingCompare compare;
    TdxFastList fast;
    for (void* p : list) fast.Add(p);
    fast.Sort(compare.Method(), true);
    ExpectSortedLikeStdSort(items, std::vector<void*>(fast.List(), fast.List() + fast.Count()));
    if (!c.canUse) {
      EXPECT_TRUE(compare.OnlyOnMainThread());
    }

    // A helper used directly runs its items on the calling thread when there is no pool.
    list = Pointers(items);
    TdxMultithreadedSort direct(8);
    direct.Sort(list.data(), 3000, &CompareKeys);
    ExpectSortedLikeStdSort(items, list);

    TdxMultithreadedListIterator iterator(4);
    auto test = [](void* AContext, int32_t AIndex) {
      return static_cast<Item*>(AContext)[AIndex].id == 2500;
    };
    EXPECT_EQ(iterator.Iterate(items.data(), 3000, false, TdxIterateItemObjectFunc(+test)), 2500);
  }
}

TEST_F(ParallelSortTest, ComparisonErrorOnAWorkerReachesTheCaller) {
  TdxMultithreadedSort sort(4);
  std::vector<Item> items = MakeItems(2000, 1 << 20);
  std::vector<void*> list = Pointers(items);
  RecordingCompare failing;
  failing.throwOnId = 1234;
  EXPECT_THROW(sort.Sort(list.data(), 2000, failing.Method()), EListError);
  // The busy flag was released: the next sort runs in parallel again.
  RecordingCompare compare;
  sort.Sort(list.data(), 2000, compare.Method());
  ExpectSortedLikeStdSort(items, list);
  EXPECT_FALSE(compare.OnlyOnMainThread());
}

TEST_F(ParallelSortTest, ASecondSortWhileOneRunsIsSequential) {
  TdxMultithreadedSort sort(4);
  // The first sort's first comparison waits at the gate, so that sort stays busy.
  struct Blocking {
    Gate gate;
    std::atomic<bool> started{false};
    int Compare(void* A, void* B) {
      if (!started.exchange(true)) gate.Wait();
      return CompareKeys(A, B);
    }
  } blocking;
  std::vector<Item> slowItems = MakeItems(500, 1000);
  std::vector<void*> slowList = Pointers(slowItems);
  std::thread first(
      [&] { sort.Sort(slowList.data(), 500, TdxListSortCompareFunc(&blocking, &Blocking::Compare)); });
  while (!blocking.started) std::this_thread::yield();

  std::vector<Item> items = MakeItems(1000, 1 << 20);
  std::vector<void*> list = Pointers(items);
  RecordingCompare compare;
  sort.Sort(list.data(), 1000, compare.Method());
  ExpectSortedLikeStdSort(items, list);
  EXPECT_TRUE(compare.OnlyOnMainThread());

  blocking.gate.Open();
  first.join();
  ExpectSortedLikeStdSort(slowItems, slowList);
}

// --- Iteration ---------------------------------------------------------------------------------

struct Hits {
  std::vector<char> hit;  // indexes whose test succeeds
  std::atomic<int> calls{0};
  bool Test(void* AContext, int32_t AIndex) {
    EXPECT_EQ(AContext, this);
    ++calls;
    return hit[AIndex] != 0;
  }
};

TEST_F(ParallelSortTest, IterateYieldsASuccessfulIndexOrMinusOne) {
  struct Case {
    DWORD processors;
    int count;
    std::vector<int> hits;
    bool reverse;
    std::vector<int> accepted;  // empty: -1
  } cases[] = {
      {1, 3, {0, 1, 2}, true, {2}},  // sequential, from the end
      {1, 3, {0, 1, 2}, false, {0}},
      {1, 0, {}, false, {}},
      {8, 1000, {517}, false, {517}},
      {8, 1000, {517}, true, {517}},
      {8, 1000, {3, 900}, true, {3, 900}},
      {8, 1000, {}, false, {}},
      {8, 1, {0}, false, {0}},
      {8, 5, {1, 2, 3, 4}, false, {1, 2, 3, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.processors << " processors, " << c.count << " items, reverse " << c.reverse);
    Restart(c.processors);
    TdxMultithreadedListIterator iterator(c.processors);
    Hits hits;
    hits.hit.assign(c.count, 0);
    for (int h : c.hits) hits.hit[h] = 1;
    const int32_t r =
        iterator.Iterate(&hits, c.count, c.reverse, TdxIterateItemObjectFunc(&hits, &Hits::Test));
    if (c.accepted.empty()) {
      EXPECT_EQ(r, -1);
      EXPECT_EQ(hits.calls.load(), c.count);  // every item was tested once
    } else {
      EXPECT_NE(std::find(c.accepted.begin(), c.accepted.end(), r), c.accepted.end()) << r;
    }
  }
}

TEST_F(ParallelSortTest, IterateItemsTestsOnlyItsRange) {
  TdxMultithreadedListIterator iterator(4);
  Hits hits;
  hits.hit.assign(100, 0);
  hits.hit[5] = hits.hit[15] = 1;
  EXPECT_EQ(iterator.IterateItems(10, 19, false, TdxIterateItemObjectFunc(&hits, &Hits::Test), &hits), 15);
  hits.calls = 0;
  EXPECT_EQ(iterator.IterateItems(20, 99, true, TdxIterateItemObjectFunc(&hits, &Hits::Test), &hits), -1);
  EXPECT_EQ(hits.calls.load(), 80);
}

TEST_F(ParallelSortTest, IterateOverListsPassesTheList) {
  TdxFastList fast;
  TList list;
  TStringList strings;
  for (intptr_t i = 0; i < 300; ++i) {
    fast.Add(reinterpret_cast<void*>(i * 2));
    list.Add(reinterpret_cast<void*>(i * 3));
    strings.Add(IntToStr(static_cast<int32_t>(i * 5)));
  }
  auto inFast = [](void* L, int32_t I) {
    return static_cast<TdxFastList*>(L)->Items(I) == reinterpret_cast<void*>(400);
  };
  auto inList = [](void* L, int32_t I) {
    return static_cast<TList*>(L)->Items(I) == reinterpret_cast<void*>(600);
  };
  auto inStrings = [](void* L, int32_t I) { return static_cast<TStrings*>(L)->Strings(I) == u"1000"; };
  ASSERT_NE(dxListIterator, nullptr);
  EXPECT_EQ(dxListIterator->Iterate(&fast, false, TdxIterateItemObjectFunc(+inFast)), 200);
  EXPECT_EQ(dxListIterator->Iterate(&list, true, TdxIterateItemObjectFunc(+inList)), 200);
  EXPECT_EQ(dxListIterator->Iterate(&strings, false, TdxIterateItemObjectFunc(+inStrings)), 200);
}

TEST_F(ParallelSortTest, TestErrorOnAWorkerReachesTheCaller) {
  TdxMultithreadedListIterator iterator(4);
  auto failing = [](void*, int32_t I) -> bool {
    if (I == 700) throw EConvertError(u"bad item");
    return false;
  };
  EXPECT_THROW(iterator.Iterate(nullptr, 1000, false, TdxIterateItemObjectFunc(+failing)), EConvertError);
  auto found = [](void*, int32_t I) { return I == 10; };
  EXPECT_EQ(iterator.Iterate(nullptr, 1000, false, TdxIterateItemObjectFunc(+found)), 10);
}

}  // namespace
}  // namespace qd::testing
