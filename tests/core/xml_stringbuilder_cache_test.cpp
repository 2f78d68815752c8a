#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

#include "ui/core/dxStringHelper.h"

namespace qd {
namespace {

class StringBuilderCache : public ::testing::Test {
 protected:
  void SetUp() override { TdxStringBuilderManager::Finalize(); }
  void TearDown() override { TdxStringBuilderManager::Finalize(); }
};

TEST_F(StringBuilderCache, FifthReleaseFreesTheOldest) {
  TStringBuilder* b[5];
  for (auto& builder : b) builder = TdxStringBuilderManager::Get(16);
  std::set<TStringBuilder*> distinct(std::begin(b), std::end(b));
  EXPECT_EQ(distinct.size(), 5u);
  TStringBuilder* const kept[4] = {b[4], b[3], b[2], b[1]};
  for (auto& builder : b) {
    TdxStringBuilderManager::Release(builder);
    EXPECT_EQ(builder, nullptr);
  }
  // The last released sits in the first slot; the first released was freed (the sanitizer
  // reports it otherwise).
  for (TStringBuilder* expected : kept) {
    TStringBuilder* got = TdxStringBuilderManager::Get(1);
    EXPECT_EQ(got, expected);
    delete got;
  }
}

TEST_F(StringBuilderCache, ReuseKeepsCapacityAndEmpties) {
  TStringBuilder* b = TdxStringBuilderManager::Get(1000);
  b->Append(u"leftover");
  const int32_t capacity = b->Capacity();
  EXPECT_GE(capacity, 1000);
  TStringBuilder* released = b;
  TdxStringBuilderManager::Release(b);
  TStringBuilder* again = TdxStringBuilderManager::Get(16);
  EXPECT_EQ(again, released);
  EXPECT_EQ(again->Length(), 0);
  EXPECT_EQ(again->Capacity(), capacity);
  TdxStringBuilderManager::Release(again);
  again = TdxStringBuilderManager::Get(5000);
  EXPECT_GE(again->Capacity(), 5000);
  TdxStringBuilderManager::Release(again);
  TdxStringBuilderManager::Finalize();
  TStringBuilder* fresh = TdxStringBuilderManager::Get(-1);  // a negative capacity counts as none
  EXPECT_EQ(fresh->Length(), 0);
  TdxStringBuilderManager::Release(fresh);
}

// Concurrent borrowers never share a builder and none is lost or freed twice (the sanitizer
// checks the latter two).
TEST_F(StringBuilderCache, ConcurrentUse) {
  constexpr int kThreads = 8;
  constexpr int kRounds = 5000;
  std::vector<std::thread> threads;
  std::vector<int> failures(kThreads, 0);
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &failures] {
      const char16_t mark = static_cast<char16_t>(u'a' + t);
      for (int i = 0; i < kRounds; ++i) {
        TStringBuilder* b = TdxStringBuilderManager::Get(8);
        if (b->Length() != 0) ++failures[t];
        for (int k = 0; k < 8; ++k) b->Append(mark);
        // Another thread holding the same builder would have changed it.
        for (int k = 0; k < 8; ++k)
          if (b->Chars(k) != mark) ++failures[t];
        if (b->Length() != 8) ++failures[t];
        TdxStringBuilderManager::Release(b);
      }
    });
  }
  for (auto& th : threads) th.join();
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(failures[t], 0) << "thread " << t;
}

}  // namespace
}  // namespace qd
