// TcxRegion: its algebra against a brute-force pixel set, ownership of the combined region,
// equality, round corners and window regions.
#include "ui/graphics/cxGraphicsRegion.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

#include "graphics_test_util.h"
#include "platform/os/user.h"
#include "platform/os/user_display.h"
#include "ui/core/cxGeometry.h"

namespace qd {

namespace testing {
namespace {

// Pixels -20 .. 19 in both directions.
constexpr int kMin = -20, kSize = 40;

struct PixelSet {
  std::array<bool, kSize * kSize> in{};
  bool& At(int x, int y) { return in[static_cast<size_t>((y - kMin) * kSize + (x - kMin))]; }
  bool Get(int x, int y) const {
    if (x < kMin || y < kMin || x >= kMin + kSize || y >= kMin + kSize) return false;
    return in[static_cast<size_t>((y - kMin) * kSize + (x - kMin))];
  }
  void Add(const TRect& r) {
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) At(x, y) = true;
  }
  bool Empty() const {
    for (bool b : in)
      if (b) return false;
    return true;
  }
  TRect Bounds() const {
    TRect r{1000, 1000, -1000, -1000};
    for (int y = kMin; y < kMin + kSize; ++y)
      for (int x = kMin; x < kMin + kSize; ++x)
        if (Get(x, y))
          r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
    return Empty() ? cxNullRect : r;
  }
  // The same set as a region built from row runs.
  TcxRegion* ToRegion() const {
    auto* r = new TcxRegion();
    for (int y = kMin; y < kMin + kSize; ++y)
      for (int x = kMin; x < kMin + kSize;) {
        if (!Get(x, y)) {
          ++x;
          continue;
        }
        int e = x;
        while (e < kMin + kSize && Get(e, y)) ++e;
        r->Combine(TRect{x, y, e, y + 1}, roAdd);
        x = e;
      }
    return r;
  }
};

// The region holds exactly the pixels of the set (checked one pixel beyond the grid too).
void ExpectSame(const TcxRegion& r, const PixelSet& s, const std::string& what) {
  int mismatches = 0;
  for (int y = kMin - 1; y <= kMin + kSize; ++y)
    for (int x = kMin - 1; x <= kMin + kSize; ++x)
      if (r.PtInRegion(x, y) != s.Get(x, y) && ++mismatches < 4)
        ADD_FAILURE() << what << ": pixel " << x << "," << y << " region " << r.PtInRegion(x, y);
  EXPECT_EQ(r.IsEmpty(), s.Empty()) << what;
  EXPECT_EQ(r.BoundsRect(), s.Bounds()) << what;
  TcxRegion* rebuilt = s.ToRegion();
  EXPECT_TRUE(r.IsEqual(rebuilt)) << what;
  delete rebuilt;
}

TEST(Region, AlgebraAgreesWithAPixelSetOnRandomRectangles) {
  std::mt19937 rng(20240611);
  auto coord = [&] { return static_cast<int>(rng() % 41) - 20; };
  auto randomRect = [&] {
    int l = coord(), t = coord();
    return TRect{l, t, std::min(l + static_cast<int>(rng() % 16), 20),
                 std::min(t + static_cast<int>(rng() % 16), 20)};
  };
  auto randomRegion = [&](PixelSet& s) {
    auto* r = new TcxRegion();
    for (int n = static_cast<int>(rng() % 4) + 1; n > 0; --n) {
      TRect rc = randomRect();
      r->Combine(rc, roAdd);
      s.Add(rc);
    }
    return r;
  };
  const char* names[] = {"set", "add", "subtract", "intersect"};
  for (int round = 0; round < 150; ++round) {
    PixelSet sa, sb;
    TcxRegion* a = randomRegion(sa);
    TcxRegion* b = randomRegion(sb);
    ExpectSame(*a, sa, "operand");
    for (TcxRegionOperation op : {roSet, roAdd, roSubtract, roIntersect}) {
      PixelSet want;
      for (int y = kMin; y < kMin + kSize; ++y)
        for (int x = kMin; x < kMin + kSize; ++x) {
          const bool pa = sa.Get(x, y), pb = sb.Get(x, y);
          want.At(x, y) = op == roSet ? pb : op == roAdd ? pa || pb : op == roSubtract ? pa && !pb : pa && pb;
        }
      const std::string what = std::string(names[op]) + " round " + std::to_string(round);
      // Through another region (freed by the call), a handle, and for a rectangle operand.
      TcxRegion* c = a->Clone();
      c->Combine(b->Clone(), op);
      ExpectSame(*c, want, what);
      TcxRegion d(cxNullRect);
      d.Combine(a->Handle(), roSet);
      d.Combine(b->Handle(), op);
      ExpectSame(d, want, what + " by handle");

      const TRect probe = randomRect();
      bool any = false;
      for (int y = probe.Top; y < probe.Bottom; ++y)
        for (int x = probe.Left; x < probe.Right; ++x) any = any || want.Get(x, y);
      EXPECT_EQ(c->RectInRegion(probe), any) << what << " " << probe;

      const int dx = coord() / 4, dy = coord() / 4;
      c->Offset(dx, dy);
      int moved = 0;
      for (int y = kMin; y < kMin + kSize; ++y)
        for (int x = kMin; x < kMin + kSize; ++x) moved += c->PtInRegion(x + dx, y + dy) != want.Get(x, y);
      EXPECT_EQ(moved, 0) << what << " offset " << dx << "," << dy;
      delete c;
    }
    // A rectangle as the other operand.
    const TRect rc = randomRect();
    PixelSet sr, want;
    sr.Add(rc);
    for (int y = kMin; y < kMin + kSize; ++y)
      for (int x = kMin; x < kMin + kSize; ++x) want.At(x, y) = sa.Get(x, y) && !sr.Get(x, y);
    TcxRegion* e = a->Clone();
    e->Combine(rc, roSubtract);
    ExpectSame(*e, want, "rectangle round " + std::to_string(round));
    delete e;
    delete a;
    delete b;
  }
}

TEST(Region, CombineFreesTheOtherRegionUnlessAskedNotToOrItIsItself) {
  struct Probe : TcxRegion {
    bool* destroyed;
    explicit Probe(const TRect& r, bool* d) : TcxRegion(r), destroyed(d) {}
    ~Probe() override { *destroyed = true; }
  };
  bool gone = false;
  TcxRegion r(TRect{0, 0, 10, 10});
  r.Combine(new Probe(TRect{0, 0, 5, 10}, &gone), roSubtract);
  EXPECT_TRUE(gone);
  EXPECT_EQ(r.BoundsRect(), (TRect{5, 0, 10, 10}));

  gone = false;
  Probe kept(TRect{5, 0, 7, 10}, &gone);
  r.Combine(&kept, roSubtract, false);
  EXPECT_FALSE(gone);
  EXPECT_EQ(r.BoundsRect(), (TRect{7, 0, 10, 10}));
  EXPECT_TRUE(kept.PtInRegion(5, 5));  // still usable

  // Combined with itself: the region stays alive and keeps its pixels (add, intersect) or
  // empties (subtract).
  auto* self = new Probe(TRect{2, 2, 4, 4}, &gone);
  gone = false;
  self->Combine(self, roAdd);
  EXPECT_FALSE(gone);
  EXPECT_EQ(self->BoundsRect(), (TRect{2, 2, 4, 4}));
  self->Combine(self, roSubtract);
  EXPECT_TRUE(self->IsEmpty());
  delete self;
  EXPECT_TRUE(gone);
}

TEST(Region, EqualityEmptinessAndHandOver) {
  TcxRegion a(TRect{5, 5, 5, 9}), b(TRect{-3, 7, -3, 7}), c(TRect{0, 0, 2, 2});
  EXPECT_TRUE(a.IsEmpty());
  EXPECT_TRUE(a.IsEqual(&b));  // two empty regions at different places
  EXPECT_FALSE(a.IsEqual(static_cast<TcxRegion*>(nullptr)));
  EXPECT_FALSE(a.IsEqual(&c));
  EXPECT_EQ(a.BoundsRect(), cxNullRect);
  TcxRegion empty;
  EXPECT_TRUE(empty.IsEmpty());
  TcxRegion c2(0, 0, 2, 2);
  EXPECT_TRUE(c.IsEqual(&c2));
  EXPECT_TRUE(c.IsEqual(c2.Handle()));

  TcxRegion* clone = c.Clone();
  EXPECT_TRUE(clone->IsEqual(&c));
  EXPECT_NE(clone->Handle(), c.Handle());
  delete clone;

  // Reading the handle and setting it to 0 hands it over.
  HRGN h = c2.Handle();
  c2.SetHandle(nullptr);
  c2.DestroyHandle();
  EXPECT_EQ(GetObjectType(h), OBJ_REGION);
  TcxRegion owner(h);
  EXPECT_TRUE(owner.PtInRegion(TPoint{1, 1}));
  EXPECT_FALSE(owner.PtInRegion(2, 1));  // right edge excluded
  owner.DestroyHandle();
  EXPECT_EQ(owner.Handle(), nullptr);
  EXPECT_EQ(GetObjectType(h), 0u);
}

TEST(Region, RoundCornersAreInsetOnTheLeftAndTopOnly) {
  std::unique_ptr<TcxRegion> r(TcxRegion::CreateRoundCorners(TRect{0, 0, 10, 10}, 4, 4));
  EXPECT_FALSE(r->PtInRegion(0, 5));
  EXPECT_TRUE(r->PtInRegion(1, 5));
  EXPECT_TRUE(r->PtInRegion(9, 5));
  EXPECT_FALSE(r->PtInRegion(5, 0));
  EXPECT_FALSE(r->PtInRegion(1, 1));  // the rounded corner
  EXPECT_EQ(r->BoundsRect(), (TRect{1, 1, 10, 10}));
  std::unique_ptr<TcxRegion> same(TcxRegion::CreateRoundCorners(0, 0, 10, 10, 4, 4));
  EXPECT_TRUE(r->IsEqual(same.get()));
}

class RegionWindowTest : public GraphicsTest {
 protected:
  void TearDown() override {
    GraphicsTest::TearDown();
    os::ResetWindowManagerForTesting();
  }
};

TEST_F(RegionWindowTest, FromWindowTakesTheWindowRegionOrItsRectangle) {
  HWND w = CreateWindowExW(0, u"STATIC", u"", WS_POPUP, 30, 40, 120, 70, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  std::unique_ptr<TcxRegion> whole(TcxRegion::CreateFromWindow(w));
  TcxRegion expected(0, 0, 120, 70);
  EXPECT_TRUE(whole->IsEqual(&expected));

  SetWindowRgn(w, CreateEllipticRgn(0, 0, 120, 70), FALSE);
  std::unique_ptr<TcxRegion> shaped(TcxRegion::CreateFromWindow(w));
  EXPECT_FALSE(shaped->PtInRegion(0, 0));
  EXPECT_TRUE(shaped->PtInRegion(60, 35));
  EXPECT_EQ(shaped->BoundsRect(), (TRect{0, 0, 120, 70}));
  DestroyWindow(w);
}

}  // namespace
}  // namespace testing
}  // namespace qd
