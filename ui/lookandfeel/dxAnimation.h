#pragma once
// Transitions turn elapsed time into an integer position from 0 to a length along an easing
// curve and report each new position through events. One process-wide controller drives
// every running transition from one 1 ms timer and lets listeners bracket each pass. Time
// comes from the performance counter.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/method.h"
#include "platform/base/object.h"
#include "ui/core/cxClasses.h"

namespace qd {

class TcxTimer;
class TdxAnimationTransition;

enum TdxAnimationTransitionEffect : uint8_t {
  ateLinear,
  ateAccelerateDecelerate,
  ateCubic,
  ateTanh,
  ateBack,
  ateBounce,
  ateCircle,
  ateElastic,
  ateExponential,
  ateSine,
  ateQuadratic,
  ateQuartic,
  ateCustom
};

enum TdxAnimationTransitionEffectMode : uint8_t { atmIn, atmOut, atmInOut };

// AValue: the elapsed ticks, AMaxValue: the whole duration in ticks; the result is the
// position.
using TdxAnimationTransitionEffectProc = int32_t (*)(TdxAnimationTransition* Sender, int64_t AValue,
                                                     int64_t AMaxValue, int32_t ALength);
using TdxAnimationEvent = TMethod<void(TdxAnimationTransition* Sender, int32_t& APosition, bool& AFinished)>;

class TdxAnimationController;

class IdxAnimationListener {
 public:
  virtual ~IdxAnimationListener() = default;
  virtual void AfterAnimation(TdxAnimationController* Sender) = 0;
  virtual void BeforeAnimation(TdxAnimationController* Sender) = 0;
  // The transition is being destroyed.
  virtual void DestroyAnimation(TdxAnimationTransition* AAnimation) = 0;
};

// The clock: the performance counter, or the millisecond tick count when it cannot be read.
int64_t dxGetExactTickCount();
// Milliseconds as ticks of dxGetExactTickCount.
int64_t dxTimeToTickCount(uint32_t ATime);
// (A x B) / C toward zero, with A taken as its low 32 bits sign-extended; 0 for a zero C,
// and the result saturated to the 64-bit range.
int64_t dxMulDiv64(int64_t A, int64_t B, int64_t C);

class TdxAnimationController : public TObject {
  QD_CLASS(TdxAnimationController, TObject)

 public:
  TdxAnimationController();
  ~TdxAnimationController() override;

  void AddListener(IdxAnimationListener* AListener);
  void RemoveListener(IdxAnimationListener* AListener);
  // Called by the transitions themselves.
  void Add(TdxAnimationTransition* AAnimation);
  void Remove(TdxAnimationTransition* AAnimation);
  // The active counter plus or minus one, then CheckTimer.
  void Resume(TdxAnimationTransition* AAnimation);
  void Suspend(TdxAnimationTransition* AAnimation);
  // The timer runs exactly while the active counter is above 0.
  void CheckTimer();
  // One pass, at once.
  void Update();

  int32_t GetCount() const { return static_cast<int32_t>(FAnimations.size()); }
  TdxAnimationTransition* GetAnimation(int32_t AIndex) const {
    return FAnimations[static_cast<size_t>(AIndex)];
  }
  int32_t ActiveAnimations() const { return FActiveAnimations; }
  bool TimerEnabled() const;

 protected:
  virtual void TimerHandler(TObject* Sender);

 private:
  friend class TdxAnimationTransition;

  std::vector<TdxAnimationTransition*> FAnimations;  // owned, in order of creation
  int32_t FActiveAnimations = 0;
  std::vector<IdxAnimationListener*> FListenerList;
  std::unique_ptr<TcxTimer> FTimer;
};

class TdxAnimationTransition : public TObject {
  QD_CLASS(TdxAnimationTransition, TObject)

 public:
  // Created suspended and listed in the controller, where it finishes every listed transition
  // it is not compatible with. A descendant that overrides InitializeTransitionEffectProc
  // calls it again in its own constructor.
  TdxAnimationTransition(uint32_t ATime, TdxAnimationTransitionEffect ATransitionEffect, int32_t ALength,
                         TdxAnimationTransitionEffectMode ATransitionEffectMode = atmIn);
  ~TdxAnimationTransition() override;

  // The lock count down by one; at 0 the clock starts, or continues after a pause.
  void Resume();
  // The lock count up by one; the first suspension with AFinished ends the transition.
  void Suspend(bool AFinished = false);
  // Finishes, then frees itself when FreeOnTerminate.
  void Terminate();
  // Runs the whole transition now, reading the clock, then frees itself when FreeOnTerminate.
  void ImmediateAnimation();
  // One step of the controller's pass; may free the transition.
  void TryAnimate();
  void Animate();

  bool Finished() const { return FFinished; }
  // Finishing delivers the final position with its events at once; False restarts.
  void SetFinished(bool Value);
  bool FreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool Value) { FFreeOnTerminate = Value; }
  TObject* Info() const { return FInfo.get(); }
  // Owned.
  void SetInfo(std::unique_ptr<TObject> Value) { FInfo = std::move(Value); }
  bool PositionChanged() const { return FPositionChanged; }
  void SetPositionChanged(bool Value) { FPositionChanged = Value; }
  int32_t Position() const { return FPosition; }
  bool Suspended() const { return FLockCount > 0; }
  uint32_t Time() const { return FTime; }
  int32_t Length() const { return FLength; }
  TdxAnimationTransitionEffectProc TransitionEffectProc() const { return FTransitionEffectProc; }
  TdxAnimationTransitionEffect TransitionEffect() const { return FTransitionEffect; }
  TdxAnimationTransitionEffectMode TransitionEffectMode() const { return FTransitionEffectMode; }

  const TdxAnimationEvent& OnAfterAnimate() const { return FOnAfterAnimate; }
  void SetOnAfterAnimate(const TdxAnimationEvent& Value) { FOnAfterAnimate = Value; }
  const TdxAnimationEvent& OnAnimate() const { return FOnAnimate; }
  void SetOnAnimate(const TdxAnimationEvent& Value) { FOnAnimate = Value; }
  const TdxAnimationEvent& OnBeforeAnimate() const { return FOnBeforeAnimate; }
  void SetOnBeforeAnimate(const TdxAnimationEvent& Value) { FOnBeforeAnimate = Value; }
  const TNotifyEvent& OnTerminate() const { return FOnTerminate; }
  void SetOnTerminate(const TNotifyEvent& Value) { FOnTerminate = Value; }

  virtual bool IsCompatible(TdxAnimationTransition* AAnimation) { return true; }

 protected:
  virtual void InitializeTransitionEffectProc();
  virtual void DoAfterAnimate();
  virtual void DoAnimate();
  virtual void DoBeforeAnimate();
  virtual void RefreshAnimatedObject() {}
  void InitializeTime();

  TdxAnimationTransitionEffectProc FTransitionEffectProc = nullptr;

 private:
  friend class TdxAnimationController;
  // Keeps the transition alive while it runs its own code: a free asked for meanwhile
  // (a handler terminating it) happens when the outermost step returns.
  class TBusy;
  void FreeSelf();
  // Counts the transition in the controller's active counter exactly while it runs.
  void UpdateActive();

  int64_t FCurrent = 0;
  int64_t FFinish = 0;
  bool FFinished = false;
  bool FFreeOnTerminate = true;
  int32_t FLength;
  int32_t FLockCount = 0;
  int32_t FPosition = 0;
  bool FPositionChanged = false;
  int64_t FStart = 0;
  uint32_t FTime;
  TdxAnimationTransitionEffect FTransitionEffect;
  TdxAnimationTransitionEffectMode FTransitionEffectMode;
  TdxAnimationEvent FOnAfterAnimate;
  TdxAnimationEvent FOnAnimate;
  TdxAnimationEvent FOnBeforeAnimate;
  TNotifyEvent FOnTerminate;
  std::unique_ptr<TObject> FInfo;

  int32_t FBusyCount = 0;
  bool FFreePending = false;
  bool FCountedActive = false;
  bool FTerminateNotified = false;
  bool FEnded = false;  // finished and seen so by a controller pass
};

class TdxEaseHelper {
 public:
  using TEaseFunction = double (*)(double x);

  static double Calculate(TdxAnimationTransitionEffectMode AMode, TdxAnimationTransitionEffect AEffect,
                          int64_t AValue, int64_t AMaxValue);
  static double GetNormalizedTime(int64_t AValue, int64_t AMaxValue);
  // The effect's own function; the default curve for effects without one.
  static TEaseFunction GetFunction(TdxAnimationTransitionEffect AEffect);
  static double Ease(TdxAnimationTransitionEffectMode AMode, TEaseFunction AFunction, double ATime);

  static double EaseBack(double x);
  static double EaseBounce(double x);
  static double EaseCircle(double x);
  static double EaseCubic(double x);
  static double EaseDefault(double x);
  static double EaseElastic(double x);
  static double EaseExponential(double x);
  static double EaseQuadratic(double x);
  static double EaseQuartic(double x);
  static double EaseSine(double x);
};

// The global controller, created on the first call.
TdxAnimationController* dxAnimationController();

namespace dxAnimation {
void Initialize();
// Clears the global, then frees the controller (its transitions do not call back).
void Finalize();
}  // namespace dxAnimation

}  // namespace qd
