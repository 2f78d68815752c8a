#pragma once
// The DPI scale factor: a reduced fraction (base 96 DPI) applied to integer metrics with
// MulDiv, whose changes are reported to listeners with the ratio of new to old.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/geometry.h"
#include "platform/base/method.h"
#include "platform/base/object.h"

namespace qd {

// (Sender, M, D, IsLoading): M/D is the ratio of the new scale to the old one, not reduced.
using TdxScaleFactorNotifyEvent = TMethod<void(TObject* Sender, int32_t M, int32_t D, bool IsLoading)>;

// Divides both values by their common divisors; non-positive values are left as they are.
void cxReduceFraction(int32_t& A, int32_t& B);

class TdxScaleFactor : public TObject {
  QD_CLASS(TdxScaleFactor, TObject)

 public:
  TdxScaleFactor() = default;
  ~TdxScaleFactor() override;

  // Reduces the pair; when it differs from the current value, stores it and reports the
  // ratio (old denominator * new numerator) / (old numerator * new denominator).
  void Assign(int32_t ANumerator, int32_t ADenominator, bool AIsLoading);
  void Assign(const TdxScaleFactor* ASource);
  // Multiplies the current scale by ANumerator / ADenominator.
  void Change(int32_t ANumerator, int32_t ADenominator);
  // Cross-multiplied equality; False for anything that is not a scale factor.
  bool Equals(const TObject* Obj) const;
  // Not 1/1.
  bool Assigned() const { return FNumerator != FDenominator; }
  int32_t Numerator() const { return FNumerator; }
  int32_t Denominator() const { return FDenominator; }

  // MulDiv(v, numerator, denominator) on every coordinate while assigned, else v.
  int32_t Apply(int32_t V) const;
  TPoint Apply(const TPoint& V) const;
  TSize Apply(const TSize& V) const;
  TRect Apply(const TRect& V) const;
  double ApplyF(double V) const;
  // The inverse: MulDiv(v, denominator, numerator).
  int32_t Revert(int32_t V) const;
  TPoint Revert(const TPoint& V) const;
  TSize Revert(const TSize& V) const;
  TRect Revert(const TRect& V) const;
  double RevertF(double V) const;
  // Converts a value given at the source scale to this scale.
  int32_t Apply(int32_t V, const TdxScaleFactor* ASourceScaleFactor) const;
  TPoint Apply(const TPoint& V, const TdxScaleFactor* ASourceScaleFactor) const;
  TSize Apply(const TSize& V, const TdxScaleFactor* ASourceScaleFactor) const;
  TRect Apply(const TRect& V, const TdxScaleFactor* ASourceScaleFactor) const;
  int32_t Apply(int32_t V, int32_t ASourceNumerator, int32_t ASourceDenominator) const;
  TPoint Apply(const TPoint& V, int32_t ASourceNumerator, int32_t ASourceDenominator) const;
  TSize Apply(const TSize& V, int32_t ASourceNumerator, int32_t ASourceDenominator) const;
  TRect Apply(const TRect& V, int32_t ASourceNumerator, int32_t ASourceDenominator) const;

  // Raises EdxException "Listener is already registered" for a handler already present.
  void ListenerAdd(const TdxScaleFactorNotifyEvent& AHandler);
  void ListenerRemove(const TdxScaleFactorNotifyEvent& AHandler);
  // Does nothing for a null scale factor.
  static void ListenerRemove(TdxScaleFactor* AScaleFactor, const TdxScaleFactorNotifyEvent& AHandler);
  int32_t ListenersCount() const { return FListeners ? static_cast<int32_t>(FListeners->size()) : 0; }

 protected:
  // Calls every listener, in registration order, unless M = D.
  virtual void Changed(int32_t M, int32_t D, bool IsLoading);
  // N/D becomes this scale over the given one, reduced; False when they are equal.
  bool TransformScaleFactor(int32_t& N, int32_t& D) const;

 private:
  template <class T, class F>
  T ApplyFrom(const T& V, int32_t N, int32_t D, F AScale) const;

  int32_t FDenominator = 1;
  int32_t FNumerator = 1;
  // Exists only while it has entries.
  std::unique_ptr<std::vector<TdxScaleFactorNotifyEvent>> FListeners;
};

// A scale factor that follows an owner's until it is assigned a value of its own outside
// loading, and again once UseOwnerValue is set.
class TdxOwnedScaleFactor : public TdxScaleFactor {
  QD_CLASS(TdxOwnedScaleFactor, TdxScaleFactor)

 public:
  TdxOwnedScaleFactor() = default;
  ~TdxOwnedScaleFactor() override;

  TdxScaleFactor* Owner() const { return FOwner; }
  void SetOwner(TdxScaleFactor* AValue);
  bool UseOwnerValue() const { return FUseOwnerValue; }
  void SetUseOwnerValue(bool AValue);

 protected:
  void Changed(int32_t M, int32_t D, bool IsLoading) override;
  void SynchronizeValue(bool IsLoading);

 private:
  void OwnerChangeHandler(TObject* Sender, int32_t M, int32_t D, bool IsLoading);
  TdxScaleFactorNotifyEvent Handler() { return MakeMethod(this, &TdxOwnedScaleFactor::OwnerChangeHandler); }

  TdxScaleFactor* FOwner = nullptr;
  bool FUseOwnerValue = true;
};

}  // namespace qd
