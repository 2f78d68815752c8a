#pragma once
// A library control's own scroll bars: the data record each bar is computed into, the classic
// child-window bars and size grip placed in the band next to the client bounds, and the main
// scroll-bars object that owns them.
#include <cstdint>
#include <memory>

#include "platform/forms/controls.h"
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

// The control's main scroll bars: in the classic mode two child-window bars and a size grip.
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
  void Hide();
  void Invalidate();
  void UpdateInternalControlsState();
  void BringInternalControlsToFront();
  void SetInternalControlsBounds();
  // Sets the bar's thickness to the control's scroll-bar size; True when it changed.
  bool CheckSize(TScrollBarKind AKind);
  void CheckSizeGripVisible(bool AVisible);
  bool IsScrollBarActive(TScrollBarKind AKind) { return IsScrollBarVisible(AKind); }
  bool IsScrollBarVisible(TScrollBarKind AKind);
  bool IsInternalControl(TControl* AControl) const;
  bool IsSizeGripArea(const TPoint& P);

 private:
  void DoScroll(TObject* Sender, TScrollCode AScrollCode, int32_t& AScrollPos);
  TcxControlScrollBar* CreateScrollBar(TScrollBarKind AKind);

  TcxControl* FOwner;
  TcxControlScrollBar* FHScrollBar = nullptr;
  TcxControlScrollBar* FVScrollBar = nullptr;
  TcxSizeGrip* FSizeGrip = nullptr;
  bool FCalculating = false;
};

}  // namespace qd
