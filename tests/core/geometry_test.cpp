#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "platform/base/exceptions.h"
#include "platform/classes/streams.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/cxGeometryMatrix.h"
#include "ui/core/cxGeometryObjects.h"
#include "ui/core/dxTypeHelpers.h"

namespace qd {

static std::ostream& operator<<(std::ostream& os, const TRect& r) {
  return os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}
static std::ostream& operator<<(std::ostream& os, const TPoint& p) {
  return os << "(" << p.X << ", " << p.Y << ")";
}
static std::ostream& operator<<(std::ostream& os, const TSize& s) {
  return os << "(" << s.cx << ", " << s.cy << ")";
}

namespace {

TEST(Geometry, CentringRoundsTowardMinusInfinity) {
  struct Row {
    TRect r;
    TPoint center;
  } rows[] = {
      {{0, 0, 7, 7}, {3, 3}},
      {{-3, 0, 0, 0}, {-2, 0}},
      {{-3, -5, 0, 0}, {-2, -3}},
      {{0, 0, 10, 10}, {5, 5}},
      {{-1, -1, 0, 0}, {-1, -1}},
      {{2147483647, 0, 2147483647, 0}, {2147483647, 0}},  // the sum does not overflow
  };
  for (const Row& r : rows) EXPECT_EQ(cxRectCenter(r.r), r.center) << r.r;

  struct SizedRow {
    TRect r;
    int32_t w, h;
    TRect result;
  } sized[] = {
      {{0, 0, 10, 10}, 3, 3, {3, 3, 6, 6}},     {{0, 0, 10, 10}, 4, 4, {3, 3, 7, 7}},
      {{0, 0, 3, 3}, 10, 10, {-4, -4, 6, 6}},    // (0 + 3 - 10) / 2 = -3.5 -> -4
      {{-5, -5, 0, 0}, 2, 2, {-4, -4, -2, -2}},  // -8 / 2
      {{0, 0, 0, 0}, 1, 1, {-1, -1, 0, 0}},
  };
  for (const SizedRow& r : sized) {
    EXPECT_EQ(cxRectCenter(r.r, r.w, r.h), r.result) << r.r;
    EXPECT_EQ(cxRectCenter(r.r, TSize{r.w, r.h}), r.result) << r.r;
    EXPECT_EQ(cxRectCenterHorizontally(r.r, r.w),
              (TRect{r.result.Left, r.r.Top, r.result.Right, r.r.Bottom}));
    EXPECT_EQ(cxRectCenterVertically(r.r, r.h), (TRect{r.r.Left, r.result.Top, r.r.Right, r.result.Bottom}));
  }
  const TdxPointF c = cxRectCenter(TdxRectF(-3, 0, 0, 1));
  EXPECT_FLOAT_EQ(c.X, -1.5f);
  EXPECT_FLOAT_EQ(c.Y, 0.5f);
}

TEST(Geometry, FloatConversionsTruncateOrRoundTiesToEven) {
  struct Row {
    TdxRectF f;
    TRect truncated, rounded;
  } rows[] = {
      {{0.5f, 1.5f, 2.5f, 3.7f}, {0, 1, 2, 3}, {0, 2, 2, 4}},
      {{-0.5f, -1.5f, -2.5f, -3.7f}, {0, -1, -2, -3}, {0, -2, -2, -4}},
      {{1e20f, -1e20f, std::numeric_limits<float>::quiet_NaN(), 0.49f},
       {2147483647, -2147483647 - 1, 0, 0},
       {2147483647, -2147483647 - 1, 0, 0}},  // saturated, NaN as 0
  };
  for (const Row& r : rows) {
    EXPECT_EQ(cxRect(r.f, true), r.truncated);
    EXPECT_EQ(cxRect(r.f, false), r.rounded);
    EXPECT_EQ(cxPoint(TdxPointF(r.f.Left, r.f.Top), false), r.rounded.TopLeft());
    EXPECT_EQ(cxSize(TdxSizeF(r.f.Left, r.f.Top), true), (TSize{r.truncated.Left, r.truncated.Top}));
  }
  EXPECT_EQ(static_cast<TPoint>(TdxPointF(2.5f, 3.5f)), (TPoint{2, 4}));  // implicit conversion rounds
}

TEST(Geometry, ScalingUsesMulDiv) {
  struct Row {
    TRect r;
    int32_t nx, dx, ny, dy;
    TRect result;
  } rows[] = {
      {{1, 1, 3, 5}, 1, 2, 1, 2, {1, 1, 2, 3}},      // halves away from zero: 0.5 -> 1, 1.5 -> 2, 2.5 -> 3
      {{-1, -3, 1, 3}, 1, 2, 1, 2, {-1, -2, 1, 2}},  // -0.5 -> -1, -1.5 -> -2
      {{10, 20, 30, 40}, 3, 2, 1, 1, {15, 20, 45, 40}},  //
      {{10, 20, 30, 40}, 1, 0, 1, 1, {-1, 20, -1, 40}},  // zero divisor: -1
  };
  for (const Row& r : rows) EXPECT_EQ(cxRectScale(r.r, r.nx, r.dx, r.ny, r.dy), r.result) << r.r;
  EXPECT_EQ(cxPointScale(TPoint{3, -3}, 1, 2), (TPoint{2, -2}));
  EXPECT_EQ(cxSizeScale(TSize{5, 7}, 3, 0), (TSize{-1, -1}));
}

TEST(Geometry, RectangleFunctions) {
  const TRect r{10, 20, 30, 60};
  struct Row {
    TRect actual, expected;
  } rows[] = {
      {cxRectBounds(1, 2, 3, 4), {1, 2, 4, 6}},
      {cxRectBounds(TPoint{1, 2}, 3, 4), {1, 2, 4, 6}},
      {cxRect(TSize{3, 4}), {0, 0, 3, 4}},
      {cxRectInflate(r, 1, 2), {9, 18, 31, 62}},
      {cxRectInflate(r, -1), {11, 21, 29, 59}},
      {cxRectInflate(r, TRect{1, 2, 3, 4}), {9, 18, 33, 64}},
      {cxRectTransform(r, 1, -2, 3, -4), {11, 18, 33, 56}},
      {cxRectContent(r, TRect{1, 2, 3, 4}), {11, 22, 27, 56}},
      {cxRectOffset(r, TPoint{1, 2}), {11, 22, 31, 62}},
      {cxRectOffset(r, TPoint{1, 2}, false), {9, 18, 29, 58}},
      {cxRectOffset(r, 5, 0, false), {5, 20, 25, 60}},
      {cxRectOffsetHorz(r, 3), {13, 20, 33, 60}},
      {cxRectOffsetVert(r, 3), {10, 23, 30, 63}},
      {cxRectRotate(r), {20, 10, 60, 30}},
      {cxRectSetLeft(r, 0), {0, 20, 20, 60}},
      {cxRectSetLeft(r, 0, 5), {0, 20, 5, 60}},
      {cxRectSetRight(r, 100), {80, 20, 100, 60}},
      {cxRectSetRight(r, 100, 5), {95, 20, 100, 60}},
      {cxRectSetTop(r, 0), {10, 0, 30, 40}},
      {cxRectSetBottom(r, 100), {10, 60, 30, 100}},
      {cxRectSetBottom(r, 100, 5), {10, 95, 30, 100}},
      {cxRectSetWidth(r, 5), {10, 20, 15, 60}},
      {cxRectSetHeight(r, 5), {10, 20, 30, 25}},
      {cxRectSetSize(r, TSize{1, 2}), {10, 20, 11, 22}},
      {cxRectSetOrigin(r, TPoint{-1, -1}), {-1, -1, 19, 39}},
      {cxRectSetNullOrigin(r), {0, 0, 20, 40}},
      {cxRectProportionalStretch(r, 1, 1), {10, 20, 30, 40}},
      {cxRectIntersectRect(r, TRect{0, 0, 15, 25}), {10, 20, 15, 25}},
      {cxRectIntersectRect(r, TRect{30, 0, 40, 100}), cxNullRect},
  };
  for (const Row& row : rows) EXPECT_EQ(row.actual, row.expected);
  EXPECT_EQ(cxRectSize(r), (TSize{20, 40}));
  EXPECT_EQ(cxMarginsWidth(TRect{1, 2, 3, 4}), 4);
  EXPECT_EQ(cxMarginsHeight(TRect{1, 2, 3, 4}), 6);
  EXPECT_TRUE(cxRectIsEmpty(TRect{0, 0, 0, 5}));
  EXPECT_TRUE(cxRectIsEmpty(TRect{5, 0, 0, 5}));
  EXPECT_FALSE(cxRectIsEmpty(r));
  EXPECT_TRUE(cxRectIsEmpty(TdxRectF(0, 0, std::numeric_limits<float>::quiet_NaN(), 1)));
  EXPECT_TRUE(cxRectIsNull(cxNullRect));
  EXPECT_TRUE(cxSizeIsEqual(TRect{0, 0, 2, 3}, TRect{5, 5, 7, 8}));
}

TEST(Geometry, HalfOpenHitTestsAndIntersection) {
  const TRect r{0, 0, 10, 10};
  struct Row {
    TPoint p;
    bool in;
  } rows[] = {{{0, 0}, true}, {{9, 9}, true}, {{10, 5}, false}, {{5, 10}, false}, {{-1, 5}, false}};
  for (const Row& row : rows) EXPECT_EQ(cxRectPtIn(r, row.p), row.in) << row.p;

  struct IRow {
    TRect other;
    bool overlaps;
    TRect result;
  } irows[] = {
      {{5, 5, 20, 20}, true, {5, 5, 10, 10}},
      {{10, 0, 20, 10}, false, cxNullRect},  // only touching
      {{0, 10, 10, 20}, false, cxNullRect},
      {{20, 20, 30, 30}, false, cxNullRect},
  };
  for (const IRow& row : irows) {
    TRect out{1, 1, 1, 1};
    EXPECT_EQ(cxRectIntersect(out, r, row.other), row.overlaps) << row.other;
    EXPECT_EQ(out, row.result);
    EXPECT_EQ(cxRectIntersect(r, row.other), row.overlaps);
  }
}

TEST(Geometry, PointsAndSizes) {
  EXPECT_EQ(cxPointInvert(TPoint{3, -4}), (TPoint{-3, 4}));
  EXPECT_EQ(cxPointOffset(TPoint{1, 1}, 2, 3), (TPoint{3, 4}));
  EXPECT_EQ(cxPointOffset(TPoint{1, 1}, TPoint{2, 3}, false), (TPoint{-1, -2}));
  EXPECT_TRUE(cxPointIsInvalid(cxInvalidPoint));
  EXPECT_TRUE(cxPointIsNull(TPoint{}));
  EXPECT_TRUE(cxPointIsEqual(TdxPointF(1.0f, 100000.0f), TdxPointF(1.00005f, 100009.0f)));
  EXPECT_FALSE(cxPointIsEqual(TdxPointF(1.0f, 0), TdxPointF(1.001f, 0)));

  const std::vector<TPoint> pts = {{3, 4}, {-1, 7}, {2, -5}};
  EXPECT_EQ(cxPointsBox(pts), (TRect{-1, -5, 3, 7}));
  EXPECT_EQ(cxPointsBox(std::span<const TPoint>()), cxNullRect);
  const std::vector<TdxPointF> fpts = {{0.5f, 1}, {-2, 3}};
  EXPECT_EQ(cxPointsBox(fpts), TdxRectF(-2, 1, 0.5f, 3));

  struct Row {
    TSize s;
    int32_t w, h;
    TSize result;
  } rows[] = {
      {{100, 100}, 200, 100, {100, 50}}, {{100, 100}, 100, 200, {50, 100}}, {{100, 100}, 0, 100, {100, 100}},
      {{100, 0}, 1, 1, {100, 0}},        {{10, 10}, 3, 1, {10, 3}},         {{7, 100}, 1, 1, {7, 7}},
  };
  for (const Row& r : rows) EXPECT_EQ(cxSizeProportionalStretch(r.s, r.w, r.h), r.result) << r.s;
  EXPECT_TRUE(cxSizeIsValid(TSize{1, 1}));
  EXPECT_FALSE(cxSizeIsValid(TSize{1, 0}));
  EXPECT_EQ(cxSizeMax(TSize{1, 5}, TSize{3, 2}), (TSize{3, 5}));
  EXPECT_EQ(cxSize(TRect{1, 2, 4, 8}), (TSize{3, 6}));
}

TEST(Geometry, SinglePrecisionRecords) {
  TdxRectF a(0, 0, 1, 1);
  a.Intersect(TdxRectF(1, 0, 2, 1));
  EXPECT_EQ(a, TdxRectF(1, 0, 1, 1));  // a zero-width overlap stays
  TdxRectF b(0, 0, 1, 1);
  b.Intersect(TdxRectF(2, 0, 3, 1));
  EXPECT_TRUE(b.IsZero());

  TdxRectF n(5, 6, 1, 2);
  n.Normalize();
  EXPECT_EQ(n, TdxRectF(1, 2, 5, 6));
  n.Inflate(1, 2);
  EXPECT_EQ(n, TdxRectF(0, 0, 6, 8));
  EXPECT_TRUE(TdxRectF(0, 0, 0, 1).IsEmpty());
  EXPECT_TRUE(TdxRectF(0.00005f, 0, 0, -0.00009f).IsZero());

  // A 2:1 rectangle zoomed into a square is centred vertically; a 1:2 one horizontally.
  EXPECT_EQ(TdxRectF(0, 0, 20, 10).ZoomInto(TdxRectF(0, 0, 100, 100)), TdxRectF(0, 25, 100, 75));
  EXPECT_EQ(TdxRectF(0, 0, 10, 20).ZoomInto(TdxRectF(10, 10, 110, 110)), TdxRectF(35, 10, 85, 110));
  EXPECT_EQ(TdxRectF(0, 0, 10, 0).ZoomInto(TdxSizeF(5, 5)), TdxRectF(0, 0, 10, 0));
  EXPECT_EQ(TdxSizeF(1.2f, -1.5f).Ceil(), TdxSizeF(2, -1));

  TdxRectF w(1, 2, 3, 4);
  w.SetWidth(10);
  w.SetHeight(20);
  EXPECT_EQ(w, TdxRectF(1, 2, 11, 22));
  EXPECT_EQ(cxRectSetSizeF(w, TdxSizeF(1, 1)), TdxRectF(1, 2, 2, 3));
}

TEST(Geometry, MatrixAndXForm) {
  for (TdxTransformationOrder order : {moPrepend, moAppend}) {
    TdxMatrix m;
    m.Rotate(90, TdxPointF(10, 10), order);
    const TdxPointF p = m.Transform(TdxPointF(20, 10));
    EXPECT_NEAR(p.X, 10, 1e-4) << order;
    EXPECT_NEAR(p.Y, 20, 1e-4) << order;
  }
  // Append applies after the current matrix, prepend before it.
  TdxMatrix a;
  a.Translate(10, 0);
  a.Scale(2, 2, moAppend);
  EXPECT_EQ(a.Transform(TdxPointF(1, 1)), TdxPointF(22, 2));
  TdxMatrix b;
  b.Translate(10, 0);
  b.Scale(2, 2, moPrepend);
  EXPECT_EQ(b.Transform(TdxPointF(1, 1)), TdxPointF(12, 2));
  EXPECT_EQ(b.Transform(TdxRectF(0, 0, 1, 1)), TdxRectF(10, 0, 12, 2));
  EXPECT_FALSE(b.IsIdentity());
  b.Reset();
  EXPECT_TRUE(b.IsIdentity());

  const XFORM flip = TdxXFormHelper::CreateFlip(true, false, 5, 0);
  TdxMatrix f(flip.eM11, flip.eM12, flip.eM21, flip.eM22, flip.eDx, flip.eDy);
  EXPECT_EQ(f.Transform(TdxPointF(1, 3)), TdxPointF(9, 3));
  EXPECT_TRUE(TdxXFormHelper::IsIdentity(TdxXFormHelper::Combine(
      TdxXFormHelper::CreateTranslateMatrix(1, 2), TdxXFormHelper::CreateTranslateMatrix(-1, -2))));

  TRect r;
  TdxRectHelper::InitSize(r, 1, 2, 3, 4);
  EXPECT_EQ(r, (TRect{1, 2, 4, 6}));
  EXPECT_EQ(TdxRectHelper::GetSize(r), (TSize{3, 4}));
  TdxRectHelper::Empty(r);
  EXPECT_TRUE(TdxRectHelper::IsZero(r));
}

// --- Geometry objects --------------------------------------------------------------------

struct ChangeCounter {
  int count = 0;
  void Changed(TObject*) { ++count; }
};

TEST(GeometryObjects, RectNotifiesOnRealChangesAndStreams) {
  ChangeCounter c;
  TcxRect r(nullptr);
  r.SetOnChange(MakeMethod(&c, &ChangeCounter::Changed));
  r.ChangeScale(2, 1);  // all zero: nothing changes
  EXPECT_EQ(c.count, 0);
  r.SetRect({1, 2, 3, 4});
  r.SetRect({1, 2, 3, 4});
  EXPECT_EQ(c.count, 1);
  r.ChangeScale(2, 1);
  EXPECT_EQ(r.Rect(), (TRect{2, 4, 6, 8}));
  EXPECT_EQ(c.count, 2);
  r.SetWidth(10);
  r.SetVertex(3, {20, 30});
  EXPECT_EQ(r.Rect(), (TRect{2, 4, 20, 30}));
  EXPECT_EQ(r.Vertex(1), (TPoint{20, 4}));
  r.SetVertex(7, {0, 0});  // no such vertex: nothing changes
  EXPECT_EQ(c.count, 4);

  TMemoryStream s;
  r.SaveToStream(&s);
  EXPECT_EQ(s.Size(), 16);
  const auto* bytes = static_cast<const uint8_t*>(s.Memory());
  EXPECT_EQ((std::vector<uint8_t>(bytes, bytes + 8)), (std::vector<uint8_t>{2, 0, 0, 0, 4, 0, 0, 0}));
  TcxRect copy(nullptr);
  s.SetPosition(0);
  copy.LoadFromStream(&s);
  EXPECT_TRUE(copy.IsEqual(&r));
  TMemoryStream shortStream;
  shortStream.Write(bytes, 10);
  shortStream.SetPosition(0);
  EXPECT_THROW(copy.LoadFromStream(&shortStream), EReadError);

  TcxRect assigned(nullptr);
  assigned.Assign(&r);
  EXPECT_EQ(assigned.Rect(), r.Rect());
}

TEST(GeometryObjects, SizeClampsAndNotifiesOnce) {
  ChangeCounter c;
  TcxSize s(nullptr, 5, 6);
  EXPECT_EQ(s.Width(), 5);
  EXPECT_FALSE(s.IsSizeStored(1));
  s.SetOnChange(MakeMethod(&c, &ChangeCounter::Changed));
  s.SetSize({-5, 10});
  EXPECT_EQ(s.Size(), (TSize{0, 10}));
  s.SetSize({0, 10});
  EXPECT_EQ(c.count, 1);
  EXPECT_TRUE(s.IsSizeStored(1));
  EXPECT_TRUE(s.IsSizeStored(0));
  s.SetWidth(7);
  EXPECT_EQ(s.Size(), (TSize{7, 10}));
  TMemoryStream st;
  s.SaveToStream(&st);
  const int32_t negative[2] = {-3, 4};
  TMemoryStream in;
  in.Write(negative, 8);
  in.SetPosition(0);
  s.LoadFromStream(&in);
  EXPECT_EQ(s.Size(), (TSize{0, 4}));  // loaded negatives become 0
  st.SetPosition(0);
  s.LoadFromStream(&st);
  EXPECT_EQ(s.Size(), (TSize{7, 10}));
  s.ChangeScale(3, 2);
  EXPECT_EQ(s.Size(), (TSize{11, 15}));  // 10.5 rounds away from zero
}

TEST(GeometryObjects, MarginAllAndScaling) {
  ChangeCounter c;
  TcxMargin m(nullptr, 2);
  EXPECT_EQ(m.All(), 2);
  EXPECT_FALSE(m.IsMarginStored(0));
  m.SetOnChange(MakeMethod(&c, &ChangeCounter::Changed));
  m.SetMargin({1, 2, 3, 4});
  EXPECT_EQ(m.All(), -1);
  EXPECT_TRUE(m.IsMarginStored(1));
  m.SetAll(-1);  // what All reads: nothing
  EXPECT_EQ(c.count, 1);
  m.SetAll(5);
  EXPECT_EQ(m.Margin(), (TRect{5, 5, 5, 5}));
  EXPECT_FALSE(m.IsMarginStored(1));
  EXPECT_TRUE(m.IsMarginStored(0));
  m.SetTop(5);
  EXPECT_EQ(c.count, 2);
  m.ChangeScale(2, 1);  // no announcement
  EXPECT_EQ(m.Margin(), (TRect{10, 10, 10, 10}));
  EXPECT_EQ(c.count, 2);
}

}  // namespace
}  // namespace qd
