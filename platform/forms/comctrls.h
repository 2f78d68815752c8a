#pragma once
// The progress bar, drawn flat by the library.
#include "platform/forms/controls.h"

namespace qd {

enum TProgressBarOrientation : uint8_t { pbHorizontal, pbVertical };
enum TProgressBarStyle : uint8_t { pbstNormal, pbstMarquee };
enum TProgressBarState : uint8_t { pbsNormal, pbsError, pbsPaused };

// Position, Min and Max are doubles. Writing the position it already shows does nothing; a
// new position is clamped into [Min, Max] when Max > Min and the bar is not being loaded.
// Position reads what the bar shows: the stored value clamped into [Min, Max] when
// Max > Min. Lowering Max below Min lowers Min with it; a change of the range clamps the
// stored position again.
class TProgressBar : public TCustomControl {
  QD_CLASS(TProgressBar, TCustomControl)
  QD_PUBLISHED(TProgressBar)

 public:
  explicit TProgressBar(TComponent* AOwner);
  void Paint() override;
  void Dispatch(TMessage& Message) override;
  void Loaded() override;

  double Position() const;
  void SetPosition(double Value);
  double Min() const { return min_; }
  void SetMin(double Value);
  double Max() const { return max_; }
  void SetMax(double Value);
  double Step() const { return step_; }
  void SetStep(double Value) { step_ = Value; }
  // Advances by Step; past Max the bar starts again at Min.
  void StepIt();
  void StepBy(double Delta);
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool Value);
  TProgressBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TProgressBarOrientation Value);
  TProgressBarStyle Style() const { return style_; }
  void SetStyle(TProgressBarStyle Value);
  TProgressBarState State() const { return state_; }
  void SetState(TProgressBarState Value);
  TColor BarColor() const { return barColor_; }
  void SetBarColor(TColor Value);
  TColor BackgroundColor() const { return backgroundColor_; }
  void SetBackgroundColor(TColor Value);

  // The filled part of the client area for the shown position.
  TRect BarRect();

  TNotifyEvent OnChange;

 private:
  bool Loading() const;
  double Clamped(double v) const;
  void Reclamp();

  double position_ = 0;
  double min_ = 0;
  double max_ = 100;
  double step_ = 10;
  bool smooth_ = false;
  TProgressBarOrientation orientation_ = pbHorizontal;
  TProgressBarStyle style_ = pbstNormal;
  TProgressBarState state_ = pbsNormal;
  TColor barColor_ = clDefault;
  TColor backgroundColor_ = clDefault;
};

}  // namespace qd
