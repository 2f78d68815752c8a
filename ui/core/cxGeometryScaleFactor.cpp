#include "ui/core/cxGeometryScaleFactor.h"

#include <algorithm>
#include <numeric>

#include "platform/base/mathutil.h"
#include "ui/core/dxCore.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxScaleFactor)
QD_IMPLEMENT_CLASS(TdxOwnedScaleFactor)

void cxReduceFraction(int32_t& A, int32_t& B) {
  // Dividing by each smallest common factor in turn ends at the greatest common divisor.
  if (A <= 0 || B <= 0) return;
  const int32_t g = std::gcd(A, B);
  A /= g;
  B /= g;
}

namespace {

// Products wrap at 32 bits as the original's integer arithmetic does.
inline int32_t Mul32(int32_t A, int32_t B) {
  return Wrap32(static_cast<int64_t>(A) * B);
}

}  // namespace

TdxScaleFactor::~TdxScaleFactor() = default;

void TdxScaleFactor::Assign(int32_t ANumerator, int32_t ADenominator, bool AIsLoading) {
  cxReduceFraction(ANumerator, ADenominator);
  if (ANumerator == FNumerator && ADenominator == FDenominator) return;
  const int32_t m = Mul32(FDenominator, ANumerator);
  const int32_t d = Mul32(FNumerator, ADenominator);
  FNumerator = ANumerator;
  FDenominator = ADenominator;
  Changed(m, d, AIsLoading);
}

void TdxScaleFactor::Assign(const TdxScaleFactor* ASource) {
  if (ASource) Assign(ASource->FNumerator, ASource->FDenominator, false);
}

void TdxScaleFactor::Change(int32_t ANumerator, int32_t ADenominator) {
  Assign(Mul32(ANumerator, FNumerator), Mul32(ADenominator, FDenominator), false);
}

bool TdxScaleFactor::Equals(const TObject* Obj) const {
  const auto* other = dynamic_cast<const TdxScaleFactor*>(Obj);
  return other && static_cast<int64_t>(FNumerator) * other->FDenominator ==
                      static_cast<int64_t>(FDenominator) * other->FNumerator;
}

int32_t TdxScaleFactor::Apply(int32_t V) const {
  return Assigned() ? MulDiv(V, FNumerator, FDenominator) : V;
}
TPoint TdxScaleFactor::Apply(const TPoint& V) const {
  return {Apply(V.X), Apply(V.Y)};
}
TSize TdxScaleFactor::Apply(const TSize& V) const {
  return {Apply(V.cx), Apply(V.cy)};
}
TRect TdxScaleFactor::Apply(const TRect& V) const {
  return {Apply(V.Left), Apply(V.Top), Apply(V.Right), Apply(V.Bottom)};
}
double TdxScaleFactor::ApplyF(double V) const {
  return Assigned() ? V * FNumerator / FDenominator : V;
}

int32_t TdxScaleFactor::Revert(int32_t V) const {
  return Assigned() ? MulDiv(V, FDenominator, FNumerator) : V;
}
TPoint TdxScaleFactor::Revert(const TPoint& V) const {
  return {Revert(V.X), Revert(V.Y)};
}
TSize TdxScaleFactor::Revert(const TSize& V) const {
  return {Revert(V.cx), Revert(V.cy)};
}
TRect TdxScaleFactor::Revert(const TRect& V) const {
  return {Revert(V.Left), Revert(V.Top), Revert(V.Right), Revert(V.Bottom)};
}
double TdxScaleFactor::RevertF(double V) const {
  return Assigned() ? V * FDenominator / FNumerator : V;
}

bool TdxScaleFactor::TransformScaleFactor(int32_t& N, int32_t& D) const {
  int32_t n = Mul32(FNumerator, D);
  int32_t d = Mul32(FDenominator, N);
  if (n == d) return false;
  cxReduceFraction(n, d);
  N = n;
  D = d;
  return true;
}

template <class T, class F>
T TdxScaleFactor::ApplyFrom(const T& V, int32_t N, int32_t D, F AScale) const {
  return TransformScaleFactor(N, D) ? AScale(V, N, D) : V;
}

int32_t TdxScaleFactor::Apply(int32_t V, int32_t ASourceNumerator, int32_t ASourceDenominator) const {
  return ApplyFrom(V, ASourceNumerator, ASourceDenominator,
                   [](int32_t v, int32_t n, int32_t d) { return MulDiv(v, n, d); });
}
TPoint TdxScaleFactor::Apply(const TPoint& V, int32_t ASourceNumerator, int32_t ASourceDenominator) const {
  return ApplyFrom(V, ASourceNumerator, ASourceDenominator, [](const TPoint& v, int32_t n, int32_t d) {
    return TPoint{MulDiv(v.X, n, d), MulDiv(v.Y, n, d)};
  });
}
TSize TdxScaleFactor::Apply(const TSize& V, int32_t ASourceNumerator, int32_t ASourceDenominator) const {
  return ApplyFrom(V, ASourceNumerator, ASourceDenominator, [](const TSize& v, int32_t n, int32_t d) {
    return TSize{MulDiv(v.cx, n, d), MulDiv(v.cy, n, d)};
  });
}
TRect TdxScaleFactor::Apply(const TRect& V, int32_t ASourceNumerator, int32_t ASourceDenominator) const {
  return ApplyFrom(V, ASourceNumerator, ASourceDenominator, [](const TRect& v, int32_t n, int32_t d) {
    return TRect{MulDiv(v.Left, n, d), MulDiv(v.Top, n, d), MulDiv(v.Right, n, d), MulDiv(v.Bottom, n, d)};
  });
}
int32_t TdxScaleFactor::Apply(int32_t V, const TdxScaleFactor* ASourceScaleFactor) const {
  return ASourceScaleFactor ? Apply(V, ASourceScaleFactor->FNumerator, ASourceScaleFactor->FDenominator)
                            : Apply(V);
}
TPoint TdxScaleFactor::Apply(const TPoint& V, const TdxScaleFactor* ASourceScaleFactor) const {
  return ASourceScaleFactor ? Apply(V, ASourceScaleFactor->FNumerator, ASourceScaleFactor->FDenominator)
                            : Apply(V);
}
TSize TdxScaleFactor::Apply(const TSize& V, const TdxScaleFactor* ASourceScaleFactor) const {
  return ASourceScaleFactor ? Apply(V, ASourceScaleFactor->FNumerator, ASourceScaleFactor->FDenominator)
                            : Apply(V);
}
TRect TdxScaleFactor::Apply(const TRect& V, const TdxScaleFactor* ASourceScaleFactor) const {
  return ASourceScaleFactor ? Apply(V, ASourceScaleFactor->FNumerator, ASourceScaleFactor->FDenominator)
                            : Apply(V);
}

void TdxScaleFactor::ListenerAdd(const TdxScaleFactorNotifyEvent& AHandler) {
  if (!FListeners) FListeners = std::make_unique<std::vector<TdxScaleFactorNotifyEvent>>();
  if (std::find(FListeners->begin(), FListeners->end(), AHandler) != FListeners->end())
    throw EdxException(u"Listener is already registered");
  FListeners->push_back(AHandler);
}

void TdxScaleFactor::ListenerRemove(const TdxScaleFactorNotifyEvent& AHandler) {
  if (!FListeners) return;
  auto it = std::find(FListeners->begin(), FListeners->end(), AHandler);
  if (it != FListeners->end()) FListeners->erase(it);
  if (FListeners->empty()) FListeners.reset();
}

void TdxScaleFactor::ListenerRemove(TdxScaleFactor* AScaleFactor, const TdxScaleFactorNotifyEvent& AHandler) {
  if (AScaleFactor) AScaleFactor->ListenerRemove(AHandler);
}

void TdxScaleFactor::Changed(int32_t M, int32_t D, bool IsLoading) {
  if (M == D || !FListeners) return;
  // A listener may add or remove listeners (and so free the list); the call goes over the
  // listeners present at its start and skips those removed meanwhile.
  const std::vector<TdxScaleFactorNotifyEvent> snapshot = *FListeners;
  for (const TdxScaleFactorNotifyEvent& h : snapshot)
    if (FListeners && std::find(FListeners->begin(), FListeners->end(), h) != FListeners->end())
      h(this, M, D, IsLoading);
}

// --- TdxOwnedScaleFactor --------------------------------------------------------------------

TdxOwnedScaleFactor::~TdxOwnedScaleFactor() {
  SetOwner(nullptr);
}

void TdxOwnedScaleFactor::SetOwner(TdxScaleFactor* AValue) {
  if (AValue == FOwner || AValue == this) return;
  if (FOwner) FOwner->ListenerRemove(Handler());
  FOwner = AValue;
  if (FOwner) FOwner->ListenerAdd(Handler());
  SynchronizeValue(false);
}

void TdxOwnedScaleFactor::SetUseOwnerValue(bool AValue) {
  if (FUseOwnerValue == AValue) return;
  FUseOwnerValue = AValue;
  SynchronizeValue(false);
}

void TdxOwnedScaleFactor::SynchronizeValue(bool IsLoading) {
  if (!FUseOwnerValue || !FOwner) return;
  Assign(FOwner->Numerator(), FOwner->Denominator(), IsLoading);
  FUseOwnerValue = true;
}

void TdxOwnedScaleFactor::OwnerChangeHandler(TObject* Sender, int32_t M, int32_t D, bool IsLoading) {
  SynchronizeValue(IsLoading);
}

void TdxOwnedScaleFactor::Changed(int32_t M, int32_t D, bool IsLoading) {
  if (!IsLoading) FUseOwnerValue = false;
  TdxScaleFactor::Changed(M, D, IsLoading);
}

}  // namespace qd
