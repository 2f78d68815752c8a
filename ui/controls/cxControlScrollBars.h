#pragma once
// A library control's own scroll bars: the data record each bar is computed into, the classic
// child-window bars and size grip placed in the band next to the client bounds (or the floating
// bars of cxControlPopupScrollBars.h), the main scroll-bars object that owns them, and the
// windowless bars a descendant paints inside its client area with the manager that routes the
// mouse to them.
#include <cstdint>
#include <memory>

#include <vector>

#include "platform/forms/controls.h"
#include "ui/controls/cxControlsWindowUtils.h"
#include "ui/controls/cxScrollBar.h"

namespace qd {

class TcxControl;

// What a control's content asks of one scroll bar.
struct TcxScrollBarData {
  bool FAllowHide = false;
  bool FAllowShow = false;
  bool FEnabled = false;
  bool FIsValid = false;
  TScrollBarInc FLargeChange = 1;
  int32_t FMin = 0;
  int32_t FMax = 100;
  int32_t FPosition = 0;
  int32_t FPageSize = 0;
  TScrollBarInc FSmallChange = 1;
  bool FVisible = false;

  // Valid only when there is something to scroll.
  void Validate() {
    FIsValid = !(FMax < FMin || static_cast<int64_t>(FPageSize) >= static_cast<int64_t>(FMax) - FMin + 1 ||
                 FPosition < FMin);
  }
};

// A classic scroll bar of a control: a child window over the control's scroll-bar band.
class TcxControlScrollBar : public TcxScrollBar {
  QD_CLASS(TcxControlScrollBar, TcxScrollBar)

 public:
  explicit TcxControlScrollBar(TcxControl* AOwnerControl);
  ~TcxControlScrollBar() override;

  TcxScrollBarData* Data() { return &FData; }
  TcxControl* OwnerControl() const { return FOwnerControl; }
  virtual void ApplyData();
  virtual void InitControl();
  virtual bool IsActuallyVisible() { return FData.FVisible; }
  virtual void SetOwnerControlRelativeBounds(const TRect& R) { SetBoundsRect(R); }
  void WndProc(TMessage& Message) override;

 protected:
  // Runs before the platform's handling of every message.
  virtual void DoWndProc(TMessage& Message);
  virtual void FocusParent();

 private:
  TcxScrollBarData FData;
  TcxControl* FOwnerControl;
};

// The square between the two bars.
class TcxSizeGrip : public TCustomControl {
  QD_CLASS(TcxSizeGrip, TCustomControl)

 public:
  explicit TcxSizeGrip(TcxControl* AOwnerControl);
  ~TcxSizeGrip() override;

  TcxLookAndFeel* LookAndFeel() const { return FLookAndFeel.get(); }
  TcxControl* OwnerControl() const { return FOwnerControl; }
  virtual void InitControl();
  virtual void SetOwnerControlRelativeBounds(const TRect& R) { SetBoundsRect(R); }
  void Paint() override;
  void Dispatch(TMessage& Message) override;

 protected:
  virtual void Draw(TcxCanvas* ACanvas);

 private:
  void LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) { Invalidate(); }
  TcxControl* FOwnerControl;
  std::unique_ptr<TcxLookAndFeel> FLookAndFeel;
};

// The control's main scroll bars: two bars and a size grip, child windows in the classic mode,
// floating layered windows in the touch and hybrid modes.
class TcxControlWindowedScrollBars {
 public:
  explicit TcxControlWindowedScrollBars(TcxControl* AOwner);
  ~TcxControlWindowedScrollBars();

  TcxControlScrollBar* GetScrollBar(TScrollBarKind AKind) const {
    return AKind == sbHorizontal ? FHScrollBar : FVScrollBar;
  }
  TcxSizeGrip* SizeGrip() const { return FSizeGrip; }
  bool Calculating() const { return FCalculating; }
  void SetCalculating(bool Value) { FCalculating = Value; }

  void InitScrollBars();
  // Floating bars lose their windows with the owner's.
  void UnInitScrollBars();
  void Hide();
  void Invalidate();
  void UpdateInternalControlsState();
  void BringInternalControlsToFront();
  void SetInternalControlsBounds();
  // Sets the bar's thickness to the control's scroll-bar size; True when it changed.
  bool CheckSize(TScrollBarKind AKind);
  void CheckSizeGripVisible(bool AVisible);
  bool IsScrollBarActive(TScrollBarKind AKind);
  bool IsScrollBarVisible(TScrollBarKind AKind);
  bool IsInternalControl(TControl* AControl) const;
  bool IsSizeGripArea(const TPoint& P);

 private:
  void DoScroll(TObject* Sender, TScrollCode AScrollCode, int32_t& AScrollPos);
  void ScrollBarMouseEnter(TObject* Sender);
  void ScrollBarMouseLeave(TObject*) {}
  TcxControlScrollBar* CreateScrollBar(TScrollBarKind AKind);

  TcxControl* FOwner;
  TcxControlScrollBar* FHScrollBar = nullptr;
  TcxControlScrollBar* FVScrollBar = nullptr;
  TcxSizeGrip* FSizeGrip = nullptr;
  bool FCalculating = false;
};

// A windowless scroll bar that a descendant paints inside its own client area and registers with
// its control's TcxControlScrollBarsManager.
class TcxControlScrollBarHelper : public TcxScrollBarHelper {
  QD_CLASS(TcxControlScrollBarHelper, TcxScrollBarHelper)

 public:
  explicit TcxControlScrollBarHelper(IcxScrollBarOwner* AOwner) : TcxScrollBarHelper(AOwner) {}
  TcxScrollBarData* Data() { return &FData; }
  // The data's parameters (when visible and valid), enabled state and visibility.
  void ApplyData();
  void Repaint() override;

 private:
  TcxScrollBarData FData;
};

// Routes the owner's mouse messages to its registered windowless bars.
class TcxControlScrollBarsManager : public IcxMouseTrackingCaller2 {
 public:
  static constexpr uint32_t CheckCaptureInterval = 100;

  explicit TcxControlScrollBarsManager(TcxControl* AOwner);
  ~TcxControlScrollBarsManager() override;

  void RegisterScrollBar(TcxControlScrollBarHelper* AScrollBar);
  void UnRegisterScrollBar(TcxControlScrollBarHelper* AScrollBar);
  // True eats the message (the owner's WndProc asks first).
  bool HandleMessage(TMessage& Message);
  bool IsScrollBarsArea(const TPoint& P);
  void Paint(TcxCanvas* ACanvas);

  TcxControlScrollBarHelper* HotScrollBar() const { return FHotScrollBar; }
  bool IsCapture() const { return FIsCapture; }
  bool IsCheckingCapture() const { return FCheckCaptureTimer != nullptr; }

  // IcxMouseTrackingCaller2
  void MouseLeave() override;
  bool PtInCaller(const TPoint& P) override;

 protected:
  virtual bool ProcessMouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  virtual bool ProcessMouseMove(TShiftState Shift, int32_t X, int32_t Y);
  virtual bool ProcessMouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);

 private:
  void SetHotScrollBar(TcxControlScrollBarHelper* Value);
  void SetIsCapture(bool Value);
  void CheckCaptureTimerHandler(TObject* Sender);
  TcxControlScrollBarHelper* FindScrollBar(const TPoint& P);

  TcxControl* FOwner;
  std::vector<TcxControlScrollBarHelper*> FScrollBars;
  TcxControlScrollBarHelper* FHotScrollBar = nullptr;
  bool FIsCapture = false;
  std::unique_ptr<TcxTimer> FCheckCaptureTimer;
};

}  // namespace qd
