#include "platform/forms/comctrls.h"

#include <algorithm>
#include <cmath>

#include "platform/base/mathutil.h"

namespace qd {

QD_IMPLEMENT_CLASS(TProgressBar)

namespace {
const TTypeInfo* TypeInfoOrientation() {
  static const TTypeInfo t = MakeEnumTypeInfo(u"TProgressBarOrientation", {u"pbHorizontal", u"pbVertical"});
  return &t;
}
const TTypeInfo* TypeInfoStyle() {
  static const TTypeInfo t = MakeEnumTypeInfo(u"TProgressBarStyle", {u"pbstNormal", u"pbstMarquee"});
  return &t;
}
const TTypeInfo* TypeInfoState() {
  static const TTypeInfo t =
      MakeEnumTypeInfo(u"TProgressBarState", {u"pbsNormal", u"pbsError", u"pbsPaused"});
  return &t;
}
}  // namespace

TProgressBar::TProgressBar(TComponent* AOwner) : TCustomControl(AOwner) {
  controlStyle_.Include(csOpaque);
  DoSetBounds(0, 0, 150, 17);
}

void TProgressBar::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("BackgroundColor", &TProgressBar::BackgroundColor, &TProgressBar::SetBackgroundColor,
         TypeInfoTColor())
      .Default(clDefault);
  r.Prop("BarColor", &TProgressBar::BarColor, &TProgressBar::SetBarColor, TypeInfoTColor())
      .Default(clDefault);
  r.Prop("Min", &TProgressBar::Min, &TProgressBar::SetMin);
  r.Prop("Max", &TProgressBar::Max, &TProgressBar::SetMax);
  r.Prop("Orientation", &TProgressBar::Orientation, &TProgressBar::SetOrientation, TypeInfoOrientation())
      .Default(pbHorizontal);
  r.Prop("Position", &TProgressBar::Position, &TProgressBar::SetPosition);
  r.Prop("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth).Default(false);
  r.Prop("State", &TProgressBar::State, &TProgressBar::SetState, TypeInfoState()).Default(pbsNormal);
  r.Prop("Step", &TProgressBar::Step, &TProgressBar::SetStep);
  r.Prop("Style", &TProgressBar::Style, &TProgressBar::SetStyle, TypeInfoStyle()).Default(pbstNormal);
  r.Event("OnChange", &TProgressBar::OnChange);
}

bool TProgressBar::Loading() const {
  return ComponentState().Contains(csLoading) || (Owner() && Owner()->ComponentState().Contains(csLoading));
}

double TProgressBar::Clamped(double v) const {
  if (max_ > min_) return std::clamp(v, min_, max_);
  return v;
}

double TProgressBar::Position() const {
  return Clamped(position_);
}

void TProgressBar::SetPosition(double Value) {
  const double shown = Position();
  if (Value == shown) return;
  position_ = Loading() ? Value : Clamped(Value);
  if (Position() == shown) return;
  Invalidate();
  if (!Loading() && OnChange) OnChange(this);
}

void TProgressBar::Reclamp() {
  if (Loading()) return;
  const double shown = Clamped(position_);
  if (shown != position_) {
    position_ = shown;
    if (OnChange) OnChange(this);
  }
}

void TProgressBar::SetMin(double Value) {
  if (Value == min_) return;
  min_ = Value;
  Reclamp();
  Invalidate();
}

void TProgressBar::SetMax(double Value) {
  if (Value == max_) return;
  max_ = Value;
  if (min_ > max_) min_ = max_;
  Reclamp();
  Invalidate();
}

void TProgressBar::Loaded() {
  inherited::Loaded();
  Reclamp();
}

void TProgressBar::StepIt() {
  StepBy(step_);
}

void TProgressBar::StepBy(double Delta) {
  double v = Position() + Delta;
  if (max_ > min_ && v > max_) v = min_;
  SetPosition(v);
}

void TProgressBar::SetSmooth(bool Value) {
  if (smooth_ == Value) return;
  smooth_ = Value;
  Invalidate();
}

void TProgressBar::SetOrientation(TProgressBarOrientation Value) {
  if (orientation_ == Value) return;
  orientation_ = Value;
  Invalidate();
}

void TProgressBar::SetStyle(TProgressBarStyle Value) {
  if (style_ == Value) return;
  style_ = Value;
  Invalidate();
}

void TProgressBar::SetState(TProgressBarState Value) {
  if (state_ == Value) return;
  state_ = Value;
  Invalidate();
}

void TProgressBar::SetBarColor(TColor Value) {
  if (barColor_ == Value) return;
  barColor_ = Value;
  Invalidate();
}

void TProgressBar::SetBackgroundColor(TColor Value) {
  if (backgroundColor_ == Value) return;
  backgroundColor_ = Value;
  Invalidate();
}

TRect TProgressBar::BarRect() {
  TRect r = ClientRect();
  // Inside the 1-pixel border.
  r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  if (r.IsEmpty()) return Rect(r.Left, r.Top, r.Left, r.Top);
  double fraction = 0;
  if (style_ == pbstMarquee)
    fraction = 1;
  else if (max_ > min_)
    fraction = (Position() - min_) / (max_ - min_);
  fraction = std::clamp(fraction, 0.0, 1.0);
  if (orientation_ == pbHorizontal) {
    const int w = static_cast<int>(RoundHalfAway(r.Width() * fraction));
    return Rect(r.Left, r.Top, r.Left + w, r.Bottom);
  }
  const int h = static_cast<int>(RoundHalfAway(r.Height() * fraction));
  return Rect(r.Left, r.Bottom - h, r.Right, r.Bottom);
}

void TProgressBar::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(static_cast<TColor>(0xBCBCBC));
  c->FrameRect(r);
  c->Brush()->SetColor(backgroundColor_ == clDefault ? static_cast<TColor>(0xE6E6E6) : backgroundColor_);
  c->FillRect(Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1));
  TRect bar = BarRect();
  if (!bar.IsEmpty()) {
    TColor color = barColor_;
    if (color == clDefault)
      color = state_ == pbsError    ? static_cast<TColor>(0x1C2BDA)
              : state_ == pbsPaused ? static_cast<TColor>(0x00B9DA)
                                    : static_cast<TColor>(0x25B006);
    c->Brush()->SetColor(color);
    c->FillRect(bar);
  }
}

void TProgressBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
      inherited::Dispatch(Message);
      Invalidate();
      return;
    default:
      inherited::Dispatch(Message);
  }
}

}  // namespace qd
