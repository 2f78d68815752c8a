#include "ui/lookandfeel/dxAnimation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "platform/os/kernel.h"
#include "ui/core/cxClassesTimer.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxAnimationController)
QD_IMPLEMENT_CLASS(TdxAnimationTransition)

namespace {

TdxAnimationController* gAnimationController = nullptr;

// Round half to even into the 32-bit range; a value that is not a number gives 0.
int32_t AnimationRoundToInt(double AValue) {
  if (std::isnan(AValue)) return 0;
  const double r = std::nearbyint(AValue);
  return static_cast<int32_t>(
      std::clamp<double>(r, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int32_t AnimationTruncToInt(double AValue) {
  if (std::isnan(AValue)) return 0;
  return static_cast<int32_t>(std::clamp<double>(std::trunc(AValue), std::numeric_limits<int32_t>::min(),
                                                 std::numeric_limits<int32_t>::max()));
}

int32_t LinearTransitionEffect(TdxAnimationTransition*, int64_t AValue, int64_t AMaxValue, int32_t ALength) {
  return static_cast<int32_t>(dxMulDiv64(ALength, AValue, AMaxValue));
}

int32_t AccelerateDecelerateTransitionEffect(TdxAnimationTransition*, int64_t AValue, int64_t AMaxValue,
                                             int32_t ALength) {
  const double t = TdxEaseHelper::GetNormalizedTime(AValue, AMaxValue);
  return AnimationRoundToInt((1 - std::pow(t - 1, 6)) * ALength);
}

int32_t TanhTransitionEffect(TdxAnimationTransition*, int64_t AValue, int64_t AMaxValue, int32_t ALength) {
  const double t = TdxEaseHelper::GetNormalizedTime(AValue, AMaxValue);
  const double tanh3 = std::tanh(static_cast<double>(3.0f));
  const double tanhMinus3 = std::tanh(static_cast<double>(-3.0f));
  return AnimationTruncToInt(ALength / (2 * tanh3) * (std::tanh(6 * t - 3) - tanhMinus3) + 0.5);
}

int32_t EaseTransitionEffect(TdxAnimationTransition* Sender, int64_t AValue, int64_t AMaxValue,
                             int32_t ALength) {
  return AnimationRoundToInt(TdxEaseHelper::Calculate(Sender->TransitionEffectMode(),
                                                      Sender->TransitionEffect(), AValue, AMaxValue) *
                             ALength);
}

}  // namespace

// --- Clock ----------------------------------------------------------------------------------

int64_t dxGetExactTickCount() {
  int64_t count = 0;
  if (QueryPerformanceCounter(&count)) return count;
  return static_cast<int64_t>(GetTickCount());
}

int64_t dxTimeToTickCount(uint32_t ATime) {
  int64_t frequency = 0;
  if (QueryPerformanceFrequency(&frequency) && frequency > 0) return dxMulDiv64(ATime, frequency, 1000);
  return ATime;
}

int64_t dxMulDiv64(int64_t A, int64_t B, int64_t C) {
  if (C == 0) return 0;
  const int64_t a = static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(A) & 0xFFFFFFFFu));
  __extension__ using TProduct = __int128;
  const TProduct product = static_cast<TProduct>(a) * B;
  const long double q = std::trunc(static_cast<long double>(product) / static_cast<long double>(C));
  if (q >= static_cast<long double>(std::numeric_limits<int64_t>::max()))
    return std::numeric_limits<int64_t>::max();
  if (q <= static_cast<long double>(std::numeric_limits<int64_t>::min()))
    return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(q);
}

// --- TdxEaseHelper --------------------------------------------------------------------------

double TdxEaseHelper::Calculate(TdxAnimationTransitionEffectMode AMode, TdxAnimationTransitionEffect AEffect,
                                int64_t AValue, int64_t AMaxValue) {
  return Ease(AMode, GetFunction(AEffect), GetNormalizedTime(AValue, AMaxValue));
}

double TdxEaseHelper::GetNormalizedTime(int64_t AValue, int64_t AMaxValue) {
  // A transition without duration is at its end.
  if (AMaxValue == 0) return 1;
  return static_cast<double>(AValue) / static_cast<double>(AMaxValue);
}

TdxEaseHelper::TEaseFunction TdxEaseHelper::GetFunction(TdxAnimationTransitionEffect AEffect) {
  switch (AEffect) {
    case ateBack:
      return &EaseBack;
    case ateBounce:
      return &EaseBounce;
    case ateCircle:
      return &EaseCircle;
    case ateCubic:
      return &EaseCubic;
    case ateElastic:
      return &EaseElastic;
    case ateExponential:
      return &EaseExponential;
    case ateQuadratic:
      return &EaseQuadratic;
    case ateQuartic:
      return &EaseQuartic;
    case ateSine:
      return &EaseSine;
    default:
      return &EaseDefault;
  }
}

double TdxEaseHelper::Ease(TdxAnimationTransitionEffectMode AMode, TEaseFunction AFunction, double ATime) {
  switch (AMode) {
    case atmIn:
      return AFunction(ATime);
    case atmOut:
      return 1 - AFunction(1 - ATime);
    case atmInOut:
      break;
  }
  if (ATime < 0.5) return AFunction(ATime * 2) * 0.5;
  return (1 - AFunction((1 - ATime) * 2)) * 0.5 + 0.5;
}

double TdxEaseHelper::EaseBack(double x) {
  return std::pow(x, 3) - 0.3 * x * std::sin(std::numbers::pi * x);
}

double TdxEaseHelper::EaseBounce(double x) {
  constexpr double kBounces = 3;
  constexpr double kBounciness = 5;
  const double units =
      (1 - std::pow(kBounciness, kBounces)) / (1 - kBounciness) + std::pow(kBounciness, kBounces) * 0.5;
  const double i = std::floor(std::log(1 - x * units * (1 - kBounciness)) / std::log(kBounciness));
  const double start = (1 - std::pow(kBounciness, i)) / ((1 - kBounciness) * units);
  const double end = (1 - std::pow(kBounciness, i + 1)) / ((1 - kBounciness) * units);
  const double m = x - (start + end) * 0.5;
  const double w = x - m - start;
  const double amplitude = std::pow(1 / kBounciness, kBounces - i);
  return (-amplitude / (w * w)) * (m - w) * (m + w);
}

double TdxEaseHelper::EaseCircle(double x) {
  const double c = std::clamp(x, 0.0, 1.0);
  return 1 - std::sqrt(1 - c * c);
}

double TdxEaseHelper::EaseCubic(double x) {
  return std::pow(x, 3);
}

double TdxEaseHelper::EaseDefault(double x) {
  return 1 - std::pow(x - 1, 6);
}

double TdxEaseHelper::EaseElastic(double x) {
  constexpr double pi = std::numbers::pi;
  return std::sin((2 * pi * 2 + pi / 2) * x) * (std::exp(7.5 * x) - 1) / (std::exp(7.5) - 1);
}

double TdxEaseHelper::EaseExponential(double x) {
  return (std::exp(7 * x) - 1) / (std::exp(7.0) - 1);
}

double TdxEaseHelper::EaseQuadratic(double x) {
  return x * x;
}

double TdxEaseHelper::EaseQuartic(double x) {
  return std::pow(x, 4);
}

double TdxEaseHelper::EaseSine(double x) {
  return 1 - std::sin((1 - x) * std::numbers::pi / 2);
}

// --- TdxAnimationController -----------------------------------------------------------------

TdxAnimationController::TdxAnimationController() : FTimer(std::make_unique<TcxTimer>(nullptr)) {
  FTimer->SetEnabled(false);
  FTimer->SetInterval(1);
  FTimer->SetOnTimer(TNotifyEvent(this, &TdxAnimationController::TimerHandler));
}

TdxAnimationController::~TdxAnimationController() {
  if (gAnimationController == this) gAnimationController = nullptr;
  FListenerList.clear();
  FTimer.reset();
  while (!FAnimations.empty()) {
    TdxAnimationTransition* animation = FAnimations.back();
    FAnimations.pop_back();
    delete animation;
  }
}

void TdxAnimationController::AddListener(IdxAnimationListener* AListener) {
  if (std::find(FListenerList.begin(), FListenerList.end(), AListener) == FListenerList.end())
    FListenerList.push_back(AListener);
}

void TdxAnimationController::RemoveListener(IdxAnimationListener* AListener) {
  std::erase(FListenerList, AListener);
}

void TdxAnimationController::Add(TdxAnimationTransition* AAnimation) {
  const std::vector<TdxAnimationTransition*> listed = FAnimations;
  for (TdxAnimationTransition* animation : listed)
    if (std::find(FAnimations.begin(), FAnimations.end(), animation) != FAnimations.end() &&
        !animation->IsCompatible(AAnimation))
      animation->SetFinished(true);
  FAnimations.push_back(AAnimation);
}

void TdxAnimationController::Remove(TdxAnimationTransition* AAnimation) {
  std::erase(FAnimations, AAnimation);
}

void TdxAnimationController::Resume(TdxAnimationTransition*) {
  ++FActiveAnimations;
  CheckTimer();
}

void TdxAnimationController::Suspend(TdxAnimationTransition*) {
  --FActiveAnimations;
  CheckTimer();
}

void TdxAnimationController::CheckTimer() {
  FTimer->SetEnabled(FActiveAnimations > 0);
}

void TdxAnimationController::Update() {
  TimerHandler(nullptr);
}

bool TdxAnimationController::TimerEnabled() const {
  return FTimer->Enabled();
}

void TdxAnimationController::TimerHandler(TObject*) {
  const auto notifyListeners = [this](bool ABefore) {
    const std::vector<IdxAnimationListener*> listeners = FListenerList;
    for (IdxAnimationListener* listener : listeners)
      if (std::find(FListenerList.begin(), FListenerList.end(), listener) != FListenerList.end()) {
        if (ABefore)
          listener->BeforeAnimation(this);
        else
          listener->AfterAnimation(this);
      }
  };
  notifyListeners(true);
  try {
    // A transition may free itself or others: each one still listed takes its step once.
    const std::vector<TdxAnimationTransition*> snapshot = FAnimations;
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it)
      if (std::find(FAnimations.begin(), FAnimations.end(), *it) != FAnimations.end()) (*it)->TryAnimate();
  } catch (...) {
    notifyListeners(false);
    throw;
  }
  notifyListeners(false);
  for (TdxAnimationTransition* animation : FAnimations) animation->SetPositionChanged(false);
}

// --- TdxAnimationTransition -----------------------------------------------------------------

class TdxAnimationTransition::TBusy {
 public:
  explicit TBusy(TdxAnimationTransition* ATransition) : FTransition(ATransition) {
    ++FTransition->FBusyCount;
  }
  ~TBusy() {
    if (--FTransition->FBusyCount == 0 && FTransition->FFreePending) delete FTransition;
  }
  TBusy(const TBusy&) = delete;
  TBusy& operator=(const TBusy&) = delete;

 private:
  TdxAnimationTransition* FTransition;
};

TdxAnimationTransition::TdxAnimationTransition(uint32_t ATime, TdxAnimationTransitionEffect ATransitionEffect,
                                               int32_t ALength,
                                               TdxAnimationTransitionEffectMode ATransitionEffectMode)
    : FLength(ALength),
      FTime(ATime),
      FTransitionEffect(ATransitionEffect),
      FTransitionEffectMode(ATransitionEffectMode) {
  TdxAnimationTransition::InitializeTransitionEffectProc();
  FLockCount = 1;
  FFreeOnTerminate = true;
  dxAnimationController()->Add(this);
}

TdxAnimationTransition::~TdxAnimationTransition() {
  if (TdxAnimationController* controller = gAnimationController) {
    const std::vector<IdxAnimationListener*> listeners = controller->FListenerList;
    for (IdxAnimationListener* listener : listeners) listener->DestroyAnimation(this);
    controller->Remove(this);
    if (FCountedActive) controller->Suspend(this);
  }
}

void TdxAnimationTransition::InitializeTransitionEffectProc() {
  switch (FTransitionEffect) {
    case ateLinear:
    case ateCustom:
      FTransitionEffectProc = &LinearTransitionEffect;
      break;
    case ateAccelerateDecelerate:
      FTransitionEffectProc = &AccelerateDecelerateTransitionEffect;
      break;
    case ateTanh:
      FTransitionEffectProc = &TanhTransitionEffect;
      break;
    default:
      FTransitionEffectProc = &EaseTransitionEffect;
      break;
  }
}

void TdxAnimationTransition::InitializeTime() {
  const int64_t now = dxGetExactTickCount();
  if (FCurrent == 0) {
    FStart = now;
  } else {
    const int64_t elapsed = FCurrent - FStart;
    FStart = now - elapsed;
    FCurrent = now;
  }
  FFinish = FStart + dxTimeToTickCount(FTime);
}

void TdxAnimationTransition::FreeSelf() {
  if (FBusyCount > 0)
    FFreePending = true;
  else
    delete this;
}

void TdxAnimationTransition::UpdateActive() {
  // Counted while it runs: resumed and not yet done with. The controller's timer then stops
  // when the last running transition ends, pauses or is freed.
  const bool running = FLockCount == 0 && !FFreePending && !FEnded;
  if (running == FCountedActive || !gAnimationController) return;
  FCountedActive = running;
  if (running)
    gAnimationController->Resume(this);
  else
    gAnimationController->Suspend(this);
}

void TdxAnimationTransition::Resume() {
  if (FLockCount == 0) return;
  if (--FLockCount > 0) return;
  InitializeTime();
  UpdateActive();
}

void TdxAnimationTransition::Suspend(bool AFinished) {
  if (++FLockCount != 1) return;
  UpdateActive();
  if (AFinished) Terminate();
}

void TdxAnimationTransition::Terminate() {
  TBusy busy(this);
  SetFinished(true);
  if (FFreeOnTerminate) FreeSelf();
}

void TdxAnimationTransition::ImmediateAnimation() {
  TBusy busy(this);
  InitializeTime();
  Animate();
  while (!FFinished && !FFreePending) {
    // Yields between frames instead of spinning; the position comes from the clock.
    Sleep(1);
    Animate();
  }
  if (FFreeOnTerminate) FreeSelf();
}

void TdxAnimationTransition::TryAnimate() {
  if (Suspended()) return;
  TBusy busy(this);
  if (FFinished || dxGetExactTickCount() >= FFinish)
    SetFinished(true);
  else
    Animate();
  if (FFinished) {
    if (FFreeOnTerminate) {
      FreeSelf();
    } else {
      FEnded = true;
      UpdateActive();
    }
  }
}

void TdxAnimationTransition::Animate() {
  TBusy busy(this);
  FCurrent = std::min(dxGetExactTickCount(), FFinish);
  FFinished = FFinished || FCurrent >= FFinish;
  int32_t position;
  if (FFinished) {
    FCurrent = FFinish;
    position = FLength;
  } else {
    position = FTransitionEffectProc(this, FCurrent - FStart, FFinish - FStart, FLength);
  }
  if (position != FPosition || FPosition == 0 || FFinished) {
    FPositionChanged = true;
    FPosition = position;
    DoBeforeAnimate();
    DoAnimate();
    DoAfterAnimate();
  }
}

void TdxAnimationTransition::SetFinished(bool Value) {
  if (Value == FFinished) return;
  TBusy busy(this);
  FCurrent = FFinish;
  FFinished = Value;
  if (!Value) {
    FCurrent = 0;
    FTerminateNotified = false;
    FEnded = false;
    InitializeTime();
    UpdateActive();
  }
  Animate();
}

void TdxAnimationTransition::DoBeforeAnimate() {
  if (!FOnBeforeAnimate) return;
  bool finished = FFinished;
  FOnBeforeAnimate(this, FPosition, finished);
  SetFinished(finished);
}

void TdxAnimationTransition::DoAnimate() {
  if (!FOnAnimate) return;
  bool finished = FFinished;
  FOnAnimate(this, FPosition, finished);
  SetFinished(finished);
}

void TdxAnimationTransition::DoAfterAnimate() {
  if (FOnAfterAnimate) {
    bool finished = FFinished;
    FOnAfterAnimate(this, FPosition, finished);
    FFinished = finished;
  }
  // A step nested in a handler may have told already: OnTerminate runs once per ending.
  if (FFinished && !FTerminateNotified) {
    FTerminateNotified = true;
    if (FOnTerminate) FOnTerminate(this);
  }
}

// --- Unit -----------------------------------------------------------------------------------

TdxAnimationController* dxAnimationController() {
  if (!gAnimationController) gAnimationController = new TdxAnimationController();
  return gAnimationController;
}

namespace dxAnimation {

void Initialize() {}

void Finalize() {
  TdxAnimationController* controller = gAnimationController;
  gAnimationController = nullptr;
  delete controller;
}

}  // namespace dxAnimation

}  // namespace qd
