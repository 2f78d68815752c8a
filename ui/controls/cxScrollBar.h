#pragma once
// The library-drawn scroll bar: the windowless logic TcxScrollBarHelper (geometry of the five
// parts, mouse handling with auto-repeat and thumb dragging, drawing through the look-and-feel
// painter) for any owner offering IcxScrollBarOwner, and the windowed control TcxScrollBar
// built on it. Also the standard, touch and hybrid scroll-bar sizes.
#include <array>
#include <cstdint>
#include <memory>

#include "platform/classes/lists.h"
#include "platform/forms/controls.h"
#include "platform/forms/stdctrls.h"
#include "platform/os/wintypes.h"
#include "ui/core/cxGeometryScaleFactor.h"
#include "ui/core/dxThemeManager.h"
#include "ui/core/dxTouch.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "ui/lookandfeel/cxLookAndFeels.h"
#include "ui/lookandfeel/dxFading.h"

namespace qd {

class TcxTimer;
class TcxScrollBarHelper;

using TScrollBarInc = int16_t;
using TScrollEvent = TMethod<void(TObject* Sender, TScrollCode ScrollCode, int32_t& ScrollPos)>;

// The thumb-tracking rectangle: the bar widened by these distances (see the controller).
constexpr int32_t cxScrollMinDistance = 34;
constexpr int32_t cxScrollMaxDistance = 136;
constexpr TSize cxTouchScrollbarSize{16, 16};
constexpr TSize cxHybridScrollbarMaxSize{16, 16};
constexpr TSize cxHybridScrollbarMinSize{6, 6};

// Width of a vertical bar (cx) and height of a horizontal one (cy).
TSize GetScaledScrollBarSize(const TdxScaleFactor* AScaleFactor);
TSize GetScrollBarSize();
TSize GetTouchScrollBarSize(const TdxScaleFactor* AScaleFactor = nullptr);
TSize GetHybridScrollBarSize(const TdxScaleFactor* AScaleFactor, bool AExpanded);

// What a scroll-bar logic object needs from its owner.
class IcxScrollBarOwner {
 public:
  virtual ~IcxScrollBarOwner() = default;
  virtual TWinControl* GetControl() = 0;
  virtual TcxLookAndFeel* GetLookAndFeel() = 0;
  virtual TdxScaleFactor* GetScaleFactor() = 0;
};

class TcxScrollBarViewInfo;
class TcxScrollBarPartViewInfo;

// Cross-fades an arrow or the thumb between its normal and its hot picture.
class TcxScrollBarPartFadingHelper : public TdxFadingObjectHelper {
  QD_CLASS(TcxScrollBarPartFadingHelper, TdxFadingObjectHelper)

 public:
  explicit TcxScrollBarPartFadingHelper(TcxScrollBarPartViewInfo* AOwner);
  // Starts the fade from the remembered state to the part's current one, then remembers it.
  void UpdateState();
  TcxButtonState State() const { return FState; }

  bool CanFade() override;
  void DrawFadeImage() override;
  void GetFadingImages(std::unique_ptr<TcxBitmap>& AFadeOutImage,
                       std::unique_ptr<TcxBitmap>& AFadeInImage) override;

 private:
  TcxScrollBarPartViewInfo* FOwner;
  TcxButtonState FState = cxbsNormal;
};

class TcxScrollBarPartViewInfo : public TObject {
  QD_CLASS(TcxScrollBarPartViewInfo, TObject)

 public:
  TcxScrollBarPartViewInfo(TcxScrollBarViewInfo* AOwner, TcxScrollBarPart APart);
  ~TcxScrollBarPartViewInfo() override;
  TcxButtonState GetState() const;
  bool CanFade();
  void Invalidate();
  // Brings the fading state up to date (the arrows and the thumb fade between normal and hot).
  void UpdateState();
  TcxScrollBarPartFadingHelper* FadingHelper() const { return FFadingHelper.get(); }
  TcxScrollBarViewInfo* Owner() const { return FOwner; }

  TRect FBounds;
  TcxScrollBarPart FPart;
  TcxButtonState FState = cxbsNormal;

 private:
  TcxScrollBarViewInfo* FOwner;
  std::unique_ptr<TcxScrollBarPartFadingHelper> FFadingHelper;
};

class TcxScrollBarViewInfo : public TObject {
  QD_CLASS(TcxScrollBarViewInfo, TObject)

 public:
  explicit TcxScrollBarViewInfo(TcxScrollBarHelper* AScrollBar);
  ~TcxScrollBarViewInfo() override;

  virtual int32_t GetArrowButtonLength();
  virtual TRect GetBounds();
  virtual void Calculate();
  void CalculateThumbnailRect();
  void AdjustPageRects();

  int32_t GetLength();
  int32_t GetHeight();
  TcxScrollBarPart GetPart(const TPoint& P);
  TcxScrollBarPartViewInfo* PartInfo(TcxScrollBarPart APart) const {
    return FPartInfos[APart - sbpLineUp].get();
  }
  TRect& PartBounds(TcxScrollBarPart APart) { return PartInfo(APart)->FBounds; }
  TRect ThumbnailRect() const { return PartInfo(sbpThumbnail)->FBounds; }
  TcxScrollBarPart HotPart() const { return FHotPart; }
  void SetHotPart(TcxScrollBarPart Value) { FHotPart = Value; }
  TcxScrollBarPart PressedPart() const { return FPressedPart; }
  void SetPressedPart(TcxScrollBarPart Value) { FPressedPart = Value; }
  void SetThumbnailPos(int32_t APos);
  void UpdateFadingHelperStates();
  TcxScrollBarHelper* ScrollBar() const { return FScrollBar; }
  int32_t ArrowButtonLength() const { return FArrowButtonLength; }

 private:
  bool Horizontal() const { return FKind == sbHorizontal; }
  int32_t FArrowButtonLength = 0;
  TScrollBarKind FKind = sbHorizontal;
  int32_t FLength = 0;
  TcxScrollBarPart FHotPart = sbpNone;
  int32_t FMinThumbnailSize = 0;
  std::array<std::unique_ptr<TcxScrollBarPartViewInfo>, 5> FPartInfos;
  TcxScrollBarPart FPressedPart = sbpNone;
  TcxScrollBarHelper* FScrollBar;
};

class TcxScrollBarController : public TObject {
  QD_CLASS(TcxScrollBarController, TObject)

 public:
  explicit TcxScrollBarController(TcxScrollBarHelper* AScrollBar);
  ~TcxScrollBarController() override;

  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    DoMouseDown(Button, Shift, X, Y);
  }
  void MouseEnter() { DoMouseEnter(); }
  void MouseLeave() { DoMouseLeave(); }
  void MouseMove(TShiftState Shift, int32_t X, int32_t Y) { DoMouseMove(Shift, X, Y); }
  void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    DoMouseUp(Button, Shift, X, Y);
  }
  void InternalScroll(TScrollCode ACode);
  void DoScroll(TcxScrollBarPart APart);
  void SetPositionValue(TScrollCode ACode, int32_t APosition);
  void FinishScrolling(TcxScrollBarPart APart);
  int32_t GetPositionFromThumbnail();
  TcxTimer* Timer() const { return FTimer; }

 protected:
  virtual void DoMouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  virtual void DoMouseEnter();
  virtual void DoMouseLeave();
  virtual void DoMouseMove(TShiftState Shift, int32_t X, int32_t Y);
  virtual void DoMouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  virtual void SetThumbnailValue(int32_t AValue, bool AFull);

 private:
  void OnTimer(TObject* Sender);
  TcxScrollBarViewInfo* ViewInfo() const;
  bool IsRepeatPart(TcxScrollBarPart APart) const {
    return APart == sbpLineUp || APart == sbpLineDown || APart == sbpPageUp || APart == sbpPageDown;
  }

  TPoint FDownMousePos;
  TPoint FLastMousePos;
  int32_t FSavePosition = 0;
  TPoint FSaveThumbnailPos;
  TcxScrollBarHelper* FScrollBar;
  TcxTimer* FTimer;  // owned
};

class TcxScrollBarPainter : public TObject {
  QD_CLASS(TcxScrollBarPainter, TObject)

 public:
  explicit TcxScrollBarPainter(TcxScrollBarHelper* AScrollBar) : FScrollBar(AScrollBar) {}
  virtual void Paint(TcxCanvas* ACanvas);
  virtual bool FadingAvailable();
  virtual int32_t GetMinThumbnailSize();
  virtual bool IsButtonHotTrack();
  virtual void DoDrawScrollBarPart(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                   TcxScrollBarPart APart);

 protected:
  TcxScrollBarHelper* ScrollBar() const { return FScrollBar; }
  virtual void DrawScrollBarBackground(TcxCanvas* ACanvas, const TRect& R);
  virtual void DrawScrollBarPart(TcxCanvas* ACanvas, TcxScrollBarPart APart);

 private:
  TcxScrollBarHelper* FScrollBar;
};

class TcxScrollBarHelper : public TObject {
  QD_CLASS(TcxScrollBarHelper, TObject)

 public:
  explicit TcxScrollBarHelper(IcxScrollBarOwner* AOwner);
  ~TcxScrollBarHelper() override;

  // Raises EInvalidOperation when AMin > AMax or AMax - AMin < APageSize.
  void SetScrollParams(int32_t AMin, int32_t AMax, int32_t APosition, int32_t APageSize, bool ARedraw = true);

  const TRect& BoundsRect() const { return FBoundsRect; }
  void SetBoundsRect(const TRect& Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool IsNonClient() const { return FIsNonClient; }
  void SetIsNonClient(bool Value) { FIsNonClient = Value; }
  TScrollBarKind Kind() const { return FKind; }
  void SetKind(TScrollBarKind Value) { FKind = Value; }
  TScrollBarInc SmallChange() const { return FSmallChange; }
  void SetSmallChange(TScrollBarInc Value) { FSmallChange = Value; }
  TScrollBarInc LargeChange() const { return FLargeChange; }
  void SetLargeChange(TScrollBarInc Value) { FLargeChange = Value; }
  bool UnlimitedTracking() const { return FUnlimitedTracking; }
  void SetUnlimitedTracking(bool Value) { FUnlimitedTracking = Value; }
  int32_t Min() const { return FMin; }
  void SetMin(int32_t Value) { SetScrollParams(Value, FMax, FPosition, FPageSize, FVisible); }
  int32_t Max() const { return FMax; }
  void SetMax(int32_t Value) { SetScrollParams(FMin, Value, FPosition, FPageSize, FVisible); }
  int32_t PageSize() const { return FPageSize; }
  void SetPageSize(int32_t Value) { SetScrollParams(FMin, FMax, FPosition, Value, FVisible); }
  int32_t Position() const { return FPosition; }
  void SetPosition(int32_t Value) { SetScrollParams(FMin, FMax, Value, FPageSize, FVisible); }
  // Stores the position without notification (thumb tracking).
  void StorePosition(int32_t Value) { FPosition = Value; }

  IcxScrollBarOwner* Owner() const { return FOwner; }
  TWinControl* OwnerControl() const { return FOwner->GetControl(); }
  TcxScrollBarViewInfo* ViewInfo() const { return FViewInfo.get(); }
  TcxScrollBarController* Controller() const { return FController.get(); }
  TcxScrollBarPainter* Painter() const { return FPainter.get(); }
  TcxCustomLookAndFeelPainter* GetLookAndFeelPainter();
  TdxScaleFactor* GetScaleFactor() { return FOwner->GetScaleFactor(); }
  bool GetAllowOwnerScrollOnDrag();
  bool PtInVisibleRgn(const TPoint& P);
  // Takes ARegion over (0: none, the whole bounds).
  void SetVisibleRgn(HRGN ARegion);
  HRGN VisibleRgn() const { return FVisibleRgn; }

  void Calculate();
  void CancelMode();
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  void MouseEnter();
  void MouseLeave();
  void MouseMove(TShiftState Shift, int32_t X, int32_t Y);
  void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  // Paints into the canvas within the visible region, then leaves the bar out of the clip.
  void Paint(TcxCanvas* ACanvas);
  virtual void Repaint();

  virtual void Change();
  virtual void DoPaint(TcxCanvas* ACanvas);
  virtual TSize GetScrollBarSize();
  virtual void Invalidate();
  virtual void InvalidateRect(const TRect& R, bool AErase);
  virtual bool IsOwnerControlCapture();
  virtual bool IsRightToLeft();
  virtual bool NeedBuffering();
  virtual TPoint ScreenToClient(const TPoint& P);
  virtual void Scroll(TScrollCode ACode, int32_t& APosition);

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

 protected:
  void DoBufferedPaint(HDC DC);
  bool HasWindow();
  // A descendant's constructor puts its own view info and painter in place.
  void SetViewInfo(std::unique_ptr<TcxScrollBarViewInfo> AViewInfo);
  void SetPainter(std::unique_ptr<TcxScrollBarPainter> APainter);

 private:
  TRect FBoundsRect;
  std::unique_ptr<TcxScrollBarController> FController;
  bool FEnabled = true;
  bool FIsNonClient = false;
  TScrollBarKind FKind = sbHorizontal;
  TScrollBarInc FLargeChange = 1;
  int32_t FMax = 100;
  int32_t FMin = 0;
  IcxScrollBarOwner* FOwner;
  int32_t FPageSize = 0;
  std::unique_ptr<TcxScrollBarPainter> FPainter;
  int32_t FPosition = 0;
  TScrollBarInc FSmallChange = 1;
  bool FUnlimitedTracking = false;
  std::unique_ptr<TcxScrollBarViewInfo> FViewInfo;
  bool FVisible = true;
  HRGN FVisibleRgn = nullptr;
};

// The windowed scroll-bar control.
class TcxScrollBar : public TCustomControl, public IcxScrollBarOwner, public IdxScaleFactor {
  QD_CLASS(TcxScrollBar, TCustomControl)

 public:
  explicit TcxScrollBar(TComponent* AOwner);
  ~TcxScrollBar() override;

  TcxScrollBarHelper* Helper() const { return FHelper.get(); }
  void SetScrollParams(int32_t AMin, int32_t AMax, int32_t APosition, int32_t APageSize,
                       bool ARedraw = true) {
    FHelper->SetScrollParams(AMin, AMax, APosition, APageSize, ARedraw);
  }
  void SetParams(int32_t APosition, int32_t AMin, int32_t AMax) {
    SetScrollParams(AMin, AMax, APosition, PageSize(), true);
  }
  int32_t Min() const { return FHelper->Min(); }
  void SetMin(int32_t V) { SetScrollParams(V, Max(), Position(), PageSize()); }
  int32_t Max() const { return FHelper->Max(); }
  void SetMax(int32_t V) { SetScrollParams(Min(), V, Position(), PageSize()); }
  int32_t PageSize() const { return FHelper->PageSize(); }
  void SetPageSize(int32_t V) { SetScrollParams(Min(), Max(), Position(), V); }
  int32_t Position() const { return FHelper->Position(); }
  void SetPosition(int32_t V) { SetScrollParams(Min(), Max(), V, PageSize()); }
  TScrollBarKind Kind() const { return FHelper->Kind(); }
  void SetKind(TScrollBarKind Value);
  TScrollBarInc SmallChange() const { return FHelper->SmallChange(); }
  void SetSmallChange(TScrollBarInc V) { FHelper->SetSmallChange(V); }
  TScrollBarInc LargeChange() const { return FHelper->LargeChange(); }
  void SetLargeChange(TScrollBarInc V) { FHelper->SetLargeChange(V); }
  bool UnlimitedTracking() const { return FHelper->UnlimitedTracking(); }
  void SetUnlimitedTracking(bool V) { FHelper->SetUnlimitedTracking(V); }
  TcxLookAndFeel* LookAndFeel() const { return FLookAndFeel.get(); }
  void SetLookAndFeel(TcxLookAndFeel* Value) { FLookAndFeel->Assign(Value); }
  bool Ctl3D() const { return FRealCtl3D || TCustomControl::Ctl3D(); }
  void SetCtl3D(bool Value);
  void Calculate() { FHelper->Calculate(); }

  // IcxScrollBarOwner, IdxScaleFactor
  TWinControl* GetControl() override { return this; }
  TcxLookAndFeel* GetLookAndFeel() override { return FLookAndFeel.get(); }
  TdxScaleFactor* GetScaleFactor() override { return FScaleFactor.get(); }

  void SetParent(TWinControl* AParent) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void ChangeScale(int M, int D, bool AIsDpiChange) override;
  using TControl::ChangeScale;
  void Dispatch(TMessage& Message) override;
  void Paint() override;

  TNotifyEvent OnChange;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TScrollEvent OnScroll;

 protected:
  virtual void Change();
  virtual TSize GetInitialSize();
  virtual void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues);
  virtual void DoPaint(TcxCanvas* ACanvas) { FHelper->DoPaint(ACanvas); }
  virtual void Scroll(TScrollCode ACode, int32_t& APosition);
  virtual void MouseEnter(TControl* AControl);
  virtual void MouseLeave(TControl* AControl);
  void Resize() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void ThemeChanged();
  // A descendant's constructor puts its own bar logic in place (kind and bounds carry over).
  void SetHelper(std::unique_ptr<TcxScrollBarHelper> AHelper);

 private:
  void HelperChange(TObject* Sender) { Change(); }
  void HelperScroll(TObject* Sender, TScrollCode ACode, int32_t& APosition) { Scroll(ACode, APosition); }

  std::unique_ptr<TcxScrollBarHelper> FHelper;
  std::unique_ptr<TcxLookAndFeel> FLookAndFeel;
  bool FRealCtl3D = false;
  std::unique_ptr<TdxScaleFactor> FScaleFactor;
  std::unique_ptr<TdxThemeChangedNotificator> FThemeChangedNotificator;
};

}  // namespace qd
