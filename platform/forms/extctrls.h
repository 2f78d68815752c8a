#pragma once
// The timer, the image control and the panel.
#include <memory>

#include "platform/forms/controls.h"

namespace qd {

// Fires OnTimer every Interval milliseconds on the user-interface thread (through a hidden
// window and the window manager's timers). No system timer runs while it is disabled, its
// interval is 0 or it has no handler; enabling it again starts the interval anew.
class TTimer : public TComponent {
  QD_CLASS(TTimer, TComponent)
  QD_PUBLISHED(TTimer)

 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  UINT Interval() const { return interval_; }
  void SetInterval(UINT Value);
  TNotifyEvent OnTimer() const { return onTimer_; }
  void SetOnTimer(TNotifyEvent Value);
  // Whether a system timer is running now.
  bool Running() const { return running_; }

 protected:
  virtual void Timer();

 private:
  void UpdateTimer();
  void WndProc(TMessage& Msg);

  HWND window_ = nullptr;
  bool enabled_ = true;
  UINT interval_ = 1000;
  TNotifyEvent onTimer_;
  bool running_ = false;
};

// Shows a picture: in its own size at the top left, centred, stretched, or scaled keeping
// its proportions.
class TImage : public TGraphicControl {
  QD_CLASS(TImage, TGraphicControl)
  QD_PUBLISHED(TImage)

 public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;
  void Paint() override;
  void SetAutoSize(bool Value) override;
  bool CanAutoSize(int& NewWidth, int& NewHeight) override;

  TPicture* Picture() const { return picture_.get(); }
  void SetPicture(TPicture* Value) { picture_->Assign(Value); }
  // The picture's bitmap canvas (the picture becomes a bitmap of the control's size when
  // it holds nothing).
  TCanvas* Canvas();
  bool Stretch() const { return stretch_; }
  void SetStretch(bool Value);
  bool Center() const { return center_; }
  void SetCenter(bool Value);
  bool Proportional() const { return proportional_; }
  void SetProportional(bool Value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool Value);
  bool IncrementalDisplay() const { return incrementalDisplay_; }
  void SetIncrementalDisplay(bool Value) { incrementalDisplay_ = Value; }
  // Where the picture goes in the client area.
  TRect DestRect();

 private:
  void PictureChanged(TObject* Sender);

  std::unique_ptr<TPicture> picture_;
  bool stretch_ = false;
  bool center_ = false;
  bool proportional_ = false;
  bool transparent_ = false;
  bool incrementalDisplay_ = false;
  bool drawing_ = false;
};

// The panel's bevels.
enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
const TTypeInfo* TypeInfoTBevelCut();

// A container for other controls: its colour, an outer and an inner bevel, and its caption
// in the middle.
class TCustomPanel : public TCustomControl {
  QD_CLASS(TCustomPanel, TCustomControl)
  QD_PUBLISHED(TCustomPanel)

 public:
  explicit TCustomPanel(TComponent* AOwner);
  void Paint() override;

  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut Value);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut Value);
  // Stored only: the whole panel is repainted on every size change here.
  bool FullRepaint() const { return fullRepaint_; }
  void SetFullRepaint(bool Value) { fullRepaint_ = Value; }
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool Value);

 private:
  TBevelCut bevelOuter_ = bvRaised;
  TBevelCut bevelInner_ = bvNone;
  bool fullRepaint_ = true;
  bool showCaption_ = true;
};

class TPanel : public TCustomPanel {
  QD_CLASS(TPanel, TCustomPanel)

 public:
  using TCustomPanel::TCustomPanel;
};

}  // namespace qd
