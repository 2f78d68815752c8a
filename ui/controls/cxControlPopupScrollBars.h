#pragma once
// The floating scroll bars of the touch and hybrid modes: layered top-level windows owned by the
// control's form and placed over the control, drawn with per-pixel alpha; the thin touch bar
// shows only its thumb, the hybrid bar grows from a line at the content's edge into a full bar.
#include <cstdint>
#include <memory>

#include "ui/controls/cxControlScrollBars.h"
#include "ui/controls/cxTouchScrollUI.h"

namespace qd {

class TcxControl;
class TdxHybridScrollbarsManager;
class TcxControlPopupScrollBar;

// The bar logic of a floating bar: never buffered; a repaint renders the bar's layer again.
class TcxCustomPopupScrollBarHelper : public TcxScrollBarHelper {
  QD_CLASS(TcxCustomPopupScrollBarHelper, TcxScrollBarHelper)

 public:
  explicit TcxCustomPopupScrollBarHelper(IcxScrollBarOwner* AOwner) : TcxScrollBarHelper(AOwner) {}
  TcxControlPopupScrollBar* Bar() const;
  void Repaint() override;
  void InvalidateRect(const TRect& R, bool AErase) override;
  bool NeedBuffering() override { return false; }
};

// Touch bars have no arrow buttons.
class TcxPopupScrollBarViewInfo : public TcxScrollBarViewInfo {
  QD_CLASS(TcxPopupScrollBarViewInfo, TcxScrollBarViewInfo)

 public:
  using TcxScrollBarViewInfo::TcxScrollBarViewInfo;
  int32_t GetArrowButtonLength() override { return 0; }
};

// Touch bar: a nearly invisible background (it still takes the mouse) and the thumb.
class TcxPopupScrollBarPainter : public TcxScrollBarPainter {
  QD_CLASS(TcxPopupScrollBarPainter, TcxScrollBarPainter)

 public:
  using TcxScrollBarPainter::TcxScrollBarPainter;
  void Paint(TcxCanvas* ACanvas) override;
  bool FadingAvailable() override { return false; }
  bool IsButtonHotTrack() override { return true; }
};

class TcxPopupScrollBarHelper : public TcxCustomPopupScrollBarHelper {
  QD_CLASS(TcxPopupScrollBarHelper, TcxCustomPopupScrollBarHelper)

 public:
  explicit TcxPopupScrollBarHelper(IcxScrollBarOwner* AOwner);
  TSize GetScrollBarSize() override { return GetTouchScrollBarSize(GetScaleFactor()); }
};

// Hybrid bar: expanded while it is the manager's animated bar, a line at the outer edge otherwise.
class TdxHybridScrollBarPainter : public TcxScrollBarPainter {
  QD_CLASS(TdxHybridScrollBarPainter, TcxScrollBarPainter)

 public:
  using TcxScrollBarPainter::TcxScrollBarPainter;
  void Paint(TcxCanvas* ACanvas) override;
  bool FadingAvailable() override { return false; }
  bool IsButtonHotTrack() override { return true; }

 private:
  void DrawArrow(TcxScrollBarPart APart, TColor ABaseColor);
};

class TdxHybridScrollBarHelper : public TcxCustomPopupScrollBarHelper {
  QD_CLASS(TdxHybridScrollBarHelper, TcxCustomPopupScrollBarHelper)

 public:
  explicit TdxHybridScrollBarHelper(IcxScrollBarOwner* AOwner);
  TSize GetScrollBarSize() override { return GetHybridScrollBarSize(GetScaleFactor(), true); }
};

// A floating scroll bar of a control in the touch or hybrid mode.
class TcxControlPopupScrollBar : public TcxControlScrollBar {
  QD_CLASS(TcxControlPopupScrollBar, TcxControlScrollBar)

 public:
  explicit TcxControlPopupScrollBar(IdxTouchScrollUIOwner* AScrollbarOwner);
  ~TcxControlPopupScrollBar() override;

  void ApplyData() override;
  void InitControl() override;
  bool IsActuallyVisible() override;
  void SetOwnerControlRelativeBounds(const TRect& R) override;
  void SetVisible(bool Value) override;
  void Invalidate() override;
  void Dispatch(TMessage& Message) override;
  // Renders the bar into its layered window.
  void UpdateLayer();

  bool AllowVisible() const { return FAllowVisible; }
  uint8_t Alpha() const { return FAlpha; }
  // The drawn thickness in the hybrid mode.
  int32_t VisibleSize() const { return FVisibleSize; }
  int32_t GetMaxVisibleSize();
  int32_t GetMinVisibleSize();
  IdxTouchScrollUIOwner* ScrollbarOwner() const { return FScrollbarOwner; }
  bool IsHybrid();
  TdxHybridScrollbarsManager* HybridManager();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void DestroyWnd() override;
  void Resize() override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  TSize GetInitialSize() override;
  void DoWndProc(TMessage& Message) override;

 private:
  bool IsTouchScrollUIHidden();

  std::unique_ptr<TdxTouchScrollUIActivityHelper> FActivityHelper;
  uint8_t FAlpha = 255;
  bool FAllowVisible = false;
  bool FMouseEnter = false;
  IdxTouchScrollUIOwner* FScrollbarOwner;
  int32_t FVisibleSize = 0;
};

// The floating size grip between the two floating bars.
class TcxPopupSizeGrip : public TcxSizeGrip {
  QD_CLASS(TcxPopupSizeGrip, TcxSizeGrip)

 public:
  explicit TcxPopupSizeGrip(IdxTouchScrollUIOwner* AScrollbarOwner);

  void InitControl() override;
  void SetOwnerControlRelativeBounds(const TRect& R) override;
  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Draw(TcxCanvas* ACanvas) override;

 private:
  IdxTouchScrollUIOwner* FScrollbarOwner;
};

// The window that owns a control's floating bars (the application's active form when none).
HWND GetTouchScrollUIControlOwnerWnd(TWinControl* AControl);
// Puts a floating element just above its owner window (topmost for a topmost or formless owner).
void UpdatePopupScrollElementZOrder(HWND AWnd, TWinControl* AOwnerControl);
bool CanShowTouchScrollbar(IdxTouchScrollUIOwner* AOwner);

}  // namespace qd
