#include <gtest/gtest.h>

#include <vector>

#include "ui/core/cxGeometryScaleFactor.h"
#include "ui/core/dxCore.h"

namespace qd {
namespace {

struct ScaleListener {
  struct Call {
    TObject* sender;
    int32_t m, d;
    bool loading;
    bool operator==(const Call&) const = default;
  };
  std::vector<Call> calls;
  TdxScaleFactor* removeFrom = nullptr;
  TdxScaleFactorNotifyEvent removeHandler;
  void Changed(TObject* Sender, int32_t M, int32_t D, bool IsLoading) {
    calls.push_back({Sender, M, D, IsLoading});
    if (removeFrom) removeFrom->ListenerRemove(removeHandler);
  }
  TdxScaleFactorNotifyEvent Handler() { return MakeMethod(this, &ScaleListener::Changed); }
};

TEST(ScaleFactor, ReduceFraction) {
  struct Row {
    int32_t a, b, ra, rb;
  } rows[] = {{12, 18, 2, 3}, {7, 5, 7, 5}, {0, 5, 0, 5}, {144, 96, 3, 2},
              {-4, 8, -4, 8}, {5, 5, 1, 1}, {1, 1, 1, 1}};
  for (const Row& r : rows) {
    int32_t a = r.a, b = r.b;
    cxReduceFraction(a, b);
    EXPECT_EQ(a, r.ra) << r.a << "/" << r.b;
    EXPECT_EQ(b, r.rb) << r.a << "/" << r.b;
  }
}

TEST(ScaleFactor, AssignReportsUnreducedRatios) {
  TdxScaleFactor f;
  EXPECT_FALSE(f.Assigned());
  EXPECT_EQ(f.Apply(7), 7);
  ScaleListener l;
  f.ListenerAdd(l.Handler());
  f.Assign(144, 96, false);
  EXPECT_EQ(f.Numerator(), 3);
  EXPECT_EQ(f.Denominator(), 2);
  f.Assign(288, 192, true);  // the same value: nobody is told
  f.Assign(2, 1, true);
  f.Change(3, 4);  // 2/1 * 3/4 = 3/2
  EXPECT_EQ(l.calls,
            (std::vector<ScaleListener::Call>{{&f, 3, 2, false}, {&f, 4, 3, true}, {&f, 3, 4, false}}));
  EXPECT_THROW(f.ListenerAdd(l.Handler()), EdxException);
  EXPECT_EQ(f.ListenersCount(), 1);
  f.ListenerRemove(l.Handler());
  EXPECT_EQ(f.ListenersCount(), 0);
  TdxScaleFactor::ListenerRemove(nullptr, l.Handler());
}

TEST(ScaleFactor, ApplyRevertAndSourceScale) {
  TdxScaleFactor f;
  f.Assign(3, 2, false);
  EXPECT_EQ(f.Apply(5), 8);  // 7.5 rounds away from zero
  EXPECT_EQ(f.Apply(-5), -8);
  EXPECT_EQ(f.Apply(TRect{1, 2, 3, 4}), (TRect{2, 3, 5, 6}));
  EXPECT_EQ(f.Revert(9), 6);
  EXPECT_EQ(f.Revert(TSize{3, 4}), (TSize{2, 3}));
  EXPECT_DOUBLE_EQ(f.ApplyF(1.0), 1.5);
  EXPECT_DOUBLE_EQ(f.RevertF(3.0), 2.0);

  TdxScaleFactor source;
  source.Assign(2, 1, false);
  EXPECT_EQ(f.Apply(10, &source), 8);  // MulDiv(10, 3, 4)
  EXPECT_EQ(f.Apply(10, 3, 2), 10);    // the same scale: unchanged
  EXPECT_EQ(f.Apply(TPoint{10, 20}, &source), (TPoint{8, 15}));

  TdxScaleFactor same;
  same.Assign(6, 4, false);
  EXPECT_TRUE(f.Equals(&same));
  EXPECT_FALSE(f.Equals(&source));
  TObject plain;
  EXPECT_FALSE(f.Equals(&plain));
}

TEST(ScaleFactor, ListenerRemovingItselfDuringTheCall) {
  TdxScaleFactor f;
  ScaleListener a, b;
  a.removeFrom = &f;
  a.removeHandler = a.Handler();  // a removes itself: the list empties and is freed
  f.ListenerAdd(a.Handler());
  f.Assign(2, 1, false);
  EXPECT_EQ(a.calls.size(), 1u);
  EXPECT_EQ(f.ListenersCount(), 0);
  f.ListenerAdd(a.Handler());
  f.ListenerAdd(b.Handler());
  a.removeHandler = b.Handler();  // a removes b before b's turn
  f.Assign(3, 1, false);
  EXPECT_EQ(a.calls.size(), 2u);
  EXPECT_TRUE(b.calls.empty());
}

TEST(ScaleFactor, OwnedFollowsOwnerUntilDetached) {
  TdxScaleFactor owner;
  owner.Assign(3, 2, false);
  TdxOwnedScaleFactor owned;
  owned.SetOwner(&owned);  // ignored
  EXPECT_EQ(owned.Owner(), nullptr);
  owned.SetOwner(&owner);
  EXPECT_EQ(owned.Numerator(), 3);
  EXPECT_TRUE(owned.UseOwnerValue());
  owner.Assign(2, 1, false);
  EXPECT_EQ(owned.Numerator(), 2);
  owned.Assign(5, 4, true);  // while loading: still attached
  EXPECT_TRUE(owned.UseOwnerValue());
  owned.Assign(7, 4, false);  // its own value: detached
  EXPECT_FALSE(owned.UseOwnerValue());
  owner.Assign(1, 1, false);
  EXPECT_EQ(owned.Numerator(), 7);
  owned.SetUseOwnerValue(true);  // copies the owner's value at once
  EXPECT_EQ(owned.Numerator(), 1);
  EXPECT_EQ(owned.Denominator(), 1);
  EXPECT_EQ(owner.ListenersCount(), 1);
  {
    TdxOwnedScaleFactor temporary;
    temporary.SetOwner(&owner);
    EXPECT_EQ(owner.ListenersCount(), 2);
  }
  EXPECT_EQ(owner.ListenersCount(), 1);  // removed at destruction
}

}  // namespace
}  // namespace qd
