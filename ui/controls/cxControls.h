#pragma once
// The base windowed controls of the library: TcxCustomControl (a per-control scale factor and
// the bracket around scale changes) and TcxControl (the framework canvas, the look-and-feel,
// mouse enter/leave counting, the wheel accumulator, the keyboard contract with dialogs, the
// context popup menu and the paint pipeline), with the paint functions the pipeline uses.
//
// A control has its own scroll bars (cxControlScrollBars.h): classic child windows, or floating
// touch and hybrid bars (cxControlPopupScrollBars.h) when it allows them, and windowless bars a
// descendant registers with its scroll-bars manager. Gestures scroll through the same bars.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/set.h"
#include "platform/forms/controls.h"
#include "platform/forms/stdctrls.h"
#include "platform/os/wintypes.h"
#include "ui/core/cxGeometryScaleFactorIntf.h"
#include "ui/core/dxTouch.h"
#include "ui/controls/cxControlsRightToLeft.h"
#include "ui/controls/cxControlsWindowUtils.h"
#include "ui/controls/cxHybridScrollBars.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/graphics/cxGraphicsRegion.h"
#include "ui/lookandfeel/cxLookAndFeels.h"

namespace qd {

class TcxControl;
class TcxDragAndDropObject;
class TcxDragImageList;
class TcxControlChildComponent;
class TcxControlScrollBar;
class TcxControlWindowedScrollBars;
class TcxControlScrollBarsManager;
class TdxGestureHelper;

// Sent by a DPI-scaling form to all its controls around a scale change.
constexpr UINT DXM_SCALECHANGING = 0x806C;
constexpr UINT DXM_SCALECHANGED = 0x806D;
// Posted after the non-client size was recalculated.
constexpr UINT CM_NCSIZECHANGED = 0x8065;
// Key-down messages are offered to the application window under this id first.
constexpr UINT DXM_APPLICATIONKEYDOWN = 0x806B;

enum TcxControlBorderStyle : uint8_t { cxcbsNone, cxcbsDefault };
enum TcxKey : uint8_t { kAll, kArrows, kChars, kTab };
using TcxKeys = TSet<TcxKey>;
enum TcxControlActivateType : uint8_t { atOther, atByMouse, atByMouseNonClientArea };
enum TcxDragAndDropState : uint8_t { ddsNone, ddsStarting, ddsInProcess };
enum TcxMouseWheelScrollingKind : uint8_t { mwskNone, mwskHorizontal, mwskVertical };

// Told when the font of the control it listens to changes.
class IcxFontListener {
 public:
  virtual ~IcxFontListener() = default;
  virtual void Changed(TObject* Sender, TFont* AFont) = 0;
};

// A child control with transparent parts answers here whether the parent's invalidation
// reaches it.
class IcxTransparentControl {
 public:
  virtual ~IcxTransparentControl() = default;
  virtual bool IsTransparentRegionsPresent() = 0;
};

// --- TcxCustomControl ------------------------------------------------------------------------------

class TcxCustomControl : public TCustomControl, public IdxScaleFactor {
  QD_CLASS(TcxCustomControl, TCustomControl)

 public:
  explicit TcxCustomControl(TComponent* AOwner);
  ~TcxCustomControl() override;

  TdxScaleFactor* GetScaleFactor() override { return FScaleFactor.get(); }

  // Scale changes nest; the outermost pair calls ScaleFactorChanging and ScaleFactorChanged.
  void BeginScaleChange();
  void EndScaleChange();
  bool IsScaleChanging() const { return FScaleChangeCounter != 0; }

  void ChangeScale(int M, int D, bool isDpiChange) override;
  using TControl::ChangeScale;
  void ScaleControlsForDpi(int NewPPI) override;
  void SetParent(TWinControl* AParent) override;
  void Dispatch(TMessage& Message) override;

  // Adorner targets.
  virtual TControl* GetAdornerTargetElementControl() { return this; }
  virtual TRect GetAdornerTargetElementBounds() { return ClientRect(); }
  virtual bool GetAdornerTargetElementVisible() { return Visible(); }

 protected:
  virtual void ChangeScaleEx(int M, int D, bool isDpiChange);
  virtual void ScaleFactorChanging() {}
  virtual void ScaleFactorChanged() {}

 private:
  std::unique_ptr<TdxScaleFactor> FScaleFactor;
  uint16_t FScaleChangeCounter = 0;
};

// --- TcxControl ------------------------------------------------------------------------------------

class TcxControl : public TcxCustomControl,
                   public IdxSystemInfoListener,
                   public IdxHybridScrollbarOwner,
                   public IdxGestureClient {
  QD_CLASS(TcxControl, TcxCustomControl)
  friend class TcxControlPopupScrollBar;

 public:
  explicit TcxControl(TComponent* AOwner);
  ~TcxControl() override;

  // -- Canvases and look and feel
  TcxControlCanvas* Canvas() const { return FCanvas.get(); }
  // Canvas while the window exists, otherwise a screen canvas kept until it does.
  TcxCanvas* ActiveCanvas();
  TcxLookAndFeel* LookAndFeel() const { return FLookAndFeel.get(); }
  void SetLookAndFeel(TcxLookAndFeel* Value) { FLookAndFeel->Assign(Value); }
  TcxCustomLookAndFeelPainter* LookAndFeelPainter() { return GetLookAndFeelPainter(); }

  // -- Properties
  TcxControlBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TcxControlBorderStyle Value);
  TcxKeys Keys() const { return FKeys; }
  void SetKeys(TcxKeys Value) { FKeys = Value; }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool FocusOnClick() const { return FFocusOnClick; }
  void SetFocusOnClick(bool Value) { FFocusOnClick = Value; }
  // A platform popup menu or an object offering IcxPopupMenu; anything else is stored as nil.
  TComponent* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TComponent* Value);
  TPopupMenu* GetPopupMenu() override;
  TObject* MouseCaptureObject() const { return FMouseCaptureObject; }
  void SetMouseCaptureObject(TObject* Value);
  TcxDragAndDropState DragAndDropState() const { return FDragAndDropState; }
  // Entering ddsNone outside FinishDragAndDrop cancels the mouse operation (DoCancelMode).
  void SetDragAndDropState(TcxDragAndDropState Value);
  // Created on first use; freed when the operation finishes.
  TcxDragAndDropObject* DragAndDropObject();
  // Ends the library drag and drop (re-entry is ignored) and frees its object.
  void FinishDragAndDrop(bool Accepted);
  // The Ctrl key is held down: a drop copies.
  virtual bool GetIsCopyDragDrop();

  // -- The platform's drag (cxControlsDragAndDrop.cpp)
  void DoStartDrag(TDragObject*& DragObject) override;
  void DoEndDrag(TObject* Target, int X, int Y) override;
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  TDragImageList* GetDragImages() override;
  // The class of the drag object the control makes for itself (nullptr: none).
  virtual TClass GetDragObjectClass();
  // May refuse a drag that starts: the drag object is then freed and the drag cancelled.
  virtual bool StartDrag(TDragObject*& DragObject) { return true; }
  virtual bool HasDragImages() { return false; }
  virtual TClass GetDragImagesClass();
  virtual TSize GetDragImagesSize() { return TSize{}; }
  virtual void DrawDragImage(TcxCanvas* ACanvas, const TRect& R) {}
  virtual void InitDragImages(TcxDragImageList* AImages);
  // Around scrolling the window: the image of the drag under way.
  void HideDragImage();
  void ShowDragImage();

  // Child components share the control's scale factor.
  virtual void AddChildComponent(TcxControlChildComponent* AComponent);
  virtual void RemoveChildComponent(TcxControlChildComponent* AComponent);
  TcxControlActivateType ActivateType() const { return FActivateType; }
  void SetActivateType(TcxControlActivateType Value) { FActivateType = Value; }
  bool IsDesigning() const { return GetIsDesigning(); }
  bool IsLoading() const { return ComponentState().Contains(csLoading); }
  bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
  bool IsFocused() { return GetIsFocused(); }
  // The explicit paint bounds (empty: the client rectangle).
  const TRect& PaintBounds() const { return FBounds; }
  void SetPaintBounds(const TRect& Value) { FBounds = Value; }
  // The hint as assigned; mouse moves put GetStatusHint into the platform hint.
  const String& Hint() const { return FOriginalHint; }
  void SetHint(const String& Value);
  int32_t MouseEnterCounter() const { return FMouseEnterCounter; }

  // -- Invalidation and painting
  void InvalidateRect(const TRect& R, bool EraseBackground);
  void InvalidateRgn(TcxRegion* ARegion, bool EraseBackground);
  void InvalidateWithChildren();
  void UpdateWithChildren();
  void ScrollWindow(int32_t DX, int32_t DY, const TRect& AScrollRect);
  // Paints the control's content (the platform step binds the canvas to DC and calls Paint).
  void PaintWindow(HDC DC) override;
  void Paint() override;
  // Paints the control directly into the message's DC, or into the window's between
  // BeginPaint and EndPaint with the update region as the clip.
  void StandardPaintHandler(TMessage& Message);

  // -- Mouse and focus
  void PostMouseMove();
  void PostMouseMove(const TPoint& P);
  TPoint GetMouseCursorClientPos();
  // Where the last mouse press happened (client coordinates); a control may restore it.
  TPoint MouseDownPos() const { return FMouseDownPos; }
  void SetMouseDownPos(const TPoint& Value) { FMouseDownPos = Value; }
  void SetFocus() override;
  virtual bool CanFocusEx();
  virtual bool AcceptMousePosForClick(int32_t X, int32_t Y);
  virtual bool IsMouseInPressedArea(int32_t X, int32_t Y);
  void AddFontListener(IcxFontListener* AListener);
  void RemoveFontListener(IcxFontListener* AListener);

  // -- Messages
  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWindowHandle() override;
  void SetParentBackground(bool Value) override;

  // IdxSystemInfoListener
  void Changed(UINT AParameter) override { SystemInfoChanged(AParameter); }

  // -- Virtual operations (the default answers of a control without library scroll bars)
  virtual bool IsDoubleBufferedNeeded();
  virtual bool AllowCompositionPainting() { return true; }
  virtual bool GetPaintBlackOpaqueOnGlass() { return ControlStyle().Contains(csPaintBlackOpaqueOnGlass); }
  virtual bool HasNonClientArea() { return false; }
  virtual bool NeedRedrawOnResize() { return false; }
  virtual bool HasBackground() { return IsTransparentBackground(); }
  virtual bool IsTransparentBackground();
  // The non-client band on each side (an empty rectangle: none).
  virtual TRect GetClientOffsets() { return TRect{}; }
  virtual bool RecreateWndOnBiDiModeChanged() { return true; }
  virtual bool UpdateMousePositionIfControlMoved() { return true; }
  virtual bool MayFocus() { return true; }
  virtual bool AllowDragAndDropWithoutFocus() { return false; }
  virtual TcxMouseWheelScrollingKind GetMouseWheelScrollingKind();
  virtual bool IsMouseWheelHandleNeeded() { return GetMouseWheelScrollingKind() != mwskNone; }
  virtual TCursor GetCurrentCursor(int32_t X, int32_t Y);
  virtual bool CanFocusOnClick();
  virtual bool CanFocusOnClick(int32_t X, int32_t Y) { return CanFocusOnClick(); }
  virtual bool FocusWhenChildIsClicked(TControl* AChild) { return CanFocusOnClick(); }
  virtual TRect GetBounds();
  virtual TRect GetClientBounds();
  virtual int32_t GetBorderSize();
  virtual TcxCustomLookAndFeelPainter* GetLookAndFeelPainter();
  virtual String GetStatusHint(const TPoint& P) { return FOriginalHint; }

  // Scroll bars (cxControlsScrollBars.cpp). The content computes one data record per bar in
  // InitScrollBarsParameters through SetScrollBarInfo; the main scroll bars realise them.
  virtual bool NeedsScrollBars() { return true; }
  // The bars float over the content (touch and hybrid modes).
  virtual bool IsPopupScrollBars() { return IsTouchScrollUIMode(); }
  bool IsTouchScrollUIMode() const { return FScrollbarMode == sbmTouch || FScrollbarMode == sbmHybrid; }
  virtual bool IsScrollBarsArea(const TPoint& P);
  bool IsSizeGripArea(const TPoint& P);
  TcxControlScrollBarsManager* ScrollBarsManager() const { return FScrollBarsManager.get(); }
  bool AllowScrollContentOnDrag() const { return FAllowScrollContentOnDrag; }
  void SetAllowScrollContentOnDrag(bool Value) { FAllowScrollContentOnDrag = Value; }
  virtual bool IsHScrollBarActive() { return IsScrollBarActive(sbHorizontal); }
  virtual bool IsVScrollBarActive() { return IsScrollBarActive(sbVertical); }
  virtual int32_t GetHScrollBarAreaHeight();
  virtual int32_t GetVScrollBarAreaWidth();
  virtual bool CanUpdateScrollBars() { return !IsLoading() && NeedsScrollBars(); }
  virtual void UpdateScrollBars();
  virtual void InitScrollBars();
  void SetScrollBarInfo(TScrollBarKind AScrollBarKind, int32_t AMin, int32_t AMax, int32_t AStep,
                        int32_t APage, int32_t APos, bool AAllowShow, bool AAllowHide);
  void LockScrollBars();
  void UnlockScrollBars();
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  TdxScrollbarMode GetScrollbarMode() const { return FScrollbarMode; }
  TcxControlWindowedScrollBars* MainScrollBars() const { return MainBars(); }
  TcxControlScrollBar* GetScrollBar(TScrollBarKind AKind) const;
  TcxControlScrollBar* HScrollBar() const { return GetScrollBar(sbHorizontal); }
  TcxControlScrollBar* VScrollBar() const { return GetScrollBar(sbVertical); }
  bool IsScrollBarActive(TScrollBarKind AKind);
  bool HScrollBarVisible();
  bool VScrollBarVisible();
  bool IsSizeGripVisible() { return HScrollBarVisible() && VScrollBarVisible(); }
  virtual TRect GetHScrollBarBounds();
  virtual TRect GetVScrollBarBounds();
  virtual TRect GetSizeGripBounds();
  // The thickness of the bars in the current mode (width of the vertical, height of the horizontal).
  virtual TSize GetScrollBarSize();
  bool IsInternalControl(TControl* AControl);

  // Touch and hybrid scroll bars: the mode the look-and-feel asks for, switching modes, and
  // showing and hiding the floating bars of an owner (the touch manager or the hybrid manager).
  TdxScrollbarMode GetLookAndFeelScrollbarMode();
  virtual bool AllowTouchScrollUIMode() { return false; }
  virtual bool AllowHybridScrollbarMode() { return true; }
  virtual bool HasScrollBars() { return MainBars() != nullptr; }
  virtual TcxLookAndFeel* GetScrollBarLookAndFeel() { return FLookAndFeel.get(); }
  virtual IdxTouchScrollUIOwner* GetTouchScrollUIOwner(const TPoint& P) { return this; }
  void ShowTouchScrollUI(IdxTouchScrollUIOwner* AOwner, bool AControlledByTimer);
  void HideTouchScrollUI(IdxTouchScrollUIOwner* AOwner, bool AImmediately);
  bool IsScrollUIModeChanging() const { return FIsScrollUIModeChanging; }
  TColor HybridScrollbarBaseColor() const { return FHybridScrollbarBaseColor; }
  void SetHybridScrollbarBaseColor(TColor Value);
  virtual TColor GetScrollContentForegroundColor();
  void HideScrollBars();

  // IdxTouchScrollUIOwner, IdxHybridScrollbarOwner
  void CheckTouchScrollUIPosition() override { UpdateScrollBars(); }
  TWinControl* GetTouchScrolUIOwnerControl() override { return this; }
  bool HasVisibleTouchScrollUI() override;
  void HideTouchScrollUIDirectly() override;
  TColor GetHybridScrollbarBaseColor() override;
  void InvalidateScrollbars() override;
  TdxHybridScrollbarsManager* GetHybridScrollbarsManager() override { return FHybridScrollbarsManager.get(); }

  // Gestures (IdxGestureClient): deltas in pixels; scroll-bar based scrolling moves whole
  // positions and keeps the rest for the next delta.
  TdxGestureHelper* GestureHelper() const { return FGestureHelper.get(); }
  bool AllowGesture(TGestureID AGestureID) override;
  bool AllowPan(TScrollBarKind AScrollKind) override;
  void BeginGestureScroll(const TPoint& APos) override;
  void EndGestureScroll() override;
  void GestureScroll(int32_t ADeltaX, int32_t ADeltaY) override;
  TInteractiveGestureOptions GetPanOptions() override;
  bool IsPanArea(const TPoint& APoint) override;
  bool NeedPanningFeedback(TScrollBarKind AScrollKind) override { return true; }
  virtual IdxGestureClient* GetGestureClient(const TPoint& APoint) { return this; }
  virtual bool IsGestureTarget(HWND AWnd) { return HandleAllocated() && AWnd == Handle(); }
  // By the system's gesture id: pan and press-and-tap.
  virtual bool IsDefaultGesture(DWORD AGestureID) {
    return AGestureID == GID_PAN || AGestureID == GID_PRESSANDTAP;
  }
  virtual TInteractiveGestureOptions GetDefaultPanOptions();
  TInteractiveGestures GetDefaultInteractiveGestures();
  TInteractiveGestureOptions GetDefaultInteractiveGestureOptions();
  // The touch settings are stored only when they differ from the defaults.
  bool IsTouchPropertyStored();
  // The system asks which gestures the window takes (the gesture helper drops what the part
  // under the finger does not allow).
  virtual void DoGetGestureOptions(TInteractiveGestures& AGestures, TInteractiveGestureOptions& AOptions);
  virtual void DoGesture(const TGestureEventInfo& AEventInfo, bool& AHandled);
  bool IsGestureScrolling();
  virtual void CheckOverpan(TScrollBarKind AScrollKind, int32_t ANewDataPos, int32_t AMinDataPos,
                            int32_t AMaxDataPos, int32_t ADeltaX, int32_t ADeltaY);
  const TPoint& GestureAccumulatedDelta() const { return FGestureAccumulatedDelta; }
  virtual bool CanScrollContentByGestureWithoutScrollBars() { return false; }
  virtual bool IsScrollBarBasedGestureScroll(TScrollBarKind AKind) { return true; }
  virtual void ScrollContentByGesture(TScrollBarKind AKind, int32_t ADelta) {}
  virtual void DrawScrollBars(TcxCanvas* ACanvas);
  virtual void UpdateInternalControlsState();
  virtual void CheckTouchScrollUIMode();
  virtual void Scroll(TScrollBarKind AScrollBarKind, TScrollCode AScrollCode, int32_t& AScrollPos) {}
  // One line in the direction: the scroll bar's kind and code, then Update.
  virtual void ScrollContent(TcxDirection ADirection);
  virtual bool CanScrollLineWithoutScrollBars(TcxDirection ADirection) { return false; }
  bool IsScrollingContent() const { return FIsScrollingContent; }
  virtual bool CanProcessScrollEvents() { return Enabled(); }
  virtual bool GetSystemSizeScrollBars(bool& AHorizontal, bool& AVertical);

  virtual void Modified() { SetDesignerModified(this); }
  virtual void SystemInfoChanged(UINT AParameter);
  virtual void TranslationChanged() {}
  virtual void LookAndFeelChanged() { CheckTouchScrollUIMode(); }

 protected:
  // -- Painting
  virtual void DoPaint();
  virtual void DrawBorder(TcxCanvas* ACanvas);
  virtual void SetPaintRegion();
  virtual void EraseBackground(HDC DC);
  virtual void EraseBackground(TcxCanvas* ACanvas, const TRect& R);
  virtual void PaintNonClientArea(TcxCanvas* ACanvas) {}
  void DoNCPaint(HDC DC);

  // -- Input
  virtual bool InternalMouseWheel(TShiftState Shift, int32_t WheelDelta, const TPoint& MousePos);
  virtual bool DoShowPopupMenu(TComponent* AMenu, int32_t X, int32_t Y);
  virtual void InitControl() { InitScrollBars(); }
  virtual void SetFocusOnMouseClick(TMouseButton Button, int32_t X, int32_t Y) { SetFocus(); }
  virtual void BeforeMouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {}
  virtual void AfterMouseDown(TMouseButton Button, int32_t X, int32_t Y);
  virtual void CancelMouseOperations();
  virtual bool GetIsDesigning() const { return ComponentState().Contains(csDesigning); }
  virtual bool GetIsFocused() { return Focused(); }
  virtual bool GetDesignHitTest(int32_t X, int32_t Y, TShiftState Shift);
  virtual bool CanDrag(int32_t X, int32_t Y) { return FDragAndDropState == ddsNone; }
  virtual bool AllowAutoDragAndDropAtDesignTime(int32_t X, int32_t Y) { return false; }
  virtual bool CanCancelDragStartOnCaptureObjectClear() { return true; }
  virtual void DoCancelMode();
  // Library drag and drop: a control that answers StartDragAndDrop with True supplies its
  // object through CreateDragAndDropObject.
  virtual bool StartDragAndDrop(const TPoint& P) { return false; }
  virtual void BeginDragAndDrop();
  virtual void DragAndDrop(const TPoint& P, bool& Accepted);
  virtual void EndDragAndDrop(bool Accepted);
  virtual void DoFinishDragAndDrop(bool Accepted);
  virtual TcxDragAndDropObject* CreateDragAndDropObject();

  // -- Notifications
  using TCustomControl::FontChanged;
  virtual void MouseEnter(TControl* AControl) { DoMouseEnter(AControl); }
  virtual void MouseLeave(TControl* AControl) { DoMouseLeave(AControl); }
  virtual void FocusEnter() {}
  virtual void FocusLeave() {}
  virtual void FocusChanged();
  virtual void BorderStyleChanged() { BoundsChanged(); }
  virtual void BoundsChanged();
  virtual void ColorChanged() {}
  virtual void CursorChanged() {}
  virtual void FontChanged();
  virtual void TextChanged() {}
  virtual void TransparentChanged();
  virtual void VisibleChanged();
  virtual void EnabledChanged() { Invalidate(); }
  virtual void BiDiModeChanged() {}
  virtual void ParentBackgroundChanged() {}

  // -- Platform operations
  void Resize() override;
  void DoContextPopup(TPoint MousePos, bool& Handled) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void ScaleFactorChanged() override;

  // -- Scroll bars
  virtual void InitScrollBarsParameters() {}
  virtual void InitScrollBarsParametersCache() {}
  // A pixel bar's page grows by the other bar's thickness when content fits once both go.
  virtual bool IsPixelScrollBar(TScrollBarKind AKind) { return false; }
  virtual int32_t GetHScrollBarDefaultAreaHeight();
  virtual int32_t GetVScrollBarDefaultAreaWidth();
  virtual void ScrollUIModeChanged();
  virtual void DoScrollUIModeChanged() {}
  virtual bool IsGestureHelperMessage(TMessage& Message);
  void CheckNeedsScrollBars();
  virtual bool HasScrollBarArea() { return FScrollbarMode == sbmClassic; }
  virtual bool NeedsToBringInternalControlsToFront() { return !IsDesigning(); }
  // AChangedBits: 1 the horizontal, 2 the vertical bar came or went.
  virtual void ScrollBarVisibilityChanged(int32_t AChangedBits) { BoundsChanged(); }
  void CreateScrollBars();
  void DestroyScrollBars();
  void DoUpdateScrollBars();
  void CalculateScrollBarsParams();
  void UpdateScrollBarBounds();
  virtual void DoGestureScroll(TScrollBarKind AKind, int32_t APos) { Scroll(AKind, scTrack, APos); }
  void DoScrollBarBasedGestureScroll(TScrollBarKind AKind, int32_t& AAccumulatedDelta, int32_t ADeltaY,
                                     int32_t ADeltaX);
  // Middle-button scrolling while a scroll bar is active.
  void DoScrolling();

  // The control or an ancestor that is a library control has a popup menu claiming the key.
  bool IsMenuKey(TMessage& Message);
  void UpdateStatusHint(const TPoint& P);

 public:
  TNotifyEvent OnFocusChanged;
  // The library's own enter and leave events (fired once per enter and leave).
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

 private:
  void DoMouseEnter(TControl* AControl);
  void DoMouseLeave(TControl* AControl);
  void LookAndFeelChangeHandler(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues);
  void CreateGestureHelper();
  // Positions of a control wider or higher than 32768 pixels do not fit the 16-bit halves of
  // a message's lParam: they are taken from the cursor.
  bool IsTooLargeForMessageCoordinates();
  TPoint GetMousePos(const TMessage& Message);
  void CorrectMousePos(int& X, int& Y);

  void WMPaint(TMessage& Message);
  void WMPrintClient(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMPrint(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void WMContextMenu(TMessage& Message);
  void WMCancelMode(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);
  void CMInvalidate(TMessage& Message);
  void CMNCSizeChanged(TMessage& Message);
  void CMBiDiModeChanged(TMessage& Message);
  void CMDesignHitTest(TMessage& Message);
  void CNKeyDown(TMessage& Message);
  void CNKeyUp(TMessage& Message);

  std::unique_ptr<TcxControlCanvas> FCanvas;
  std::unique_ptr<TcxScreenCanvas> FActiveCanvas;
  std::unique_ptr<TcxLookAndFeel> FLookAndFeel;
  TcxControlBorderStyle FBorderStyle = cxcbsNone;
  bool FTransparent = false;
  TRect FBounds;
  TcxKeys FKeys;
  bool FFocusOnClick = true;
  TcxControlActivateType FActivateType = atOther;
  TPoint FMouseDownPos;
  bool FMouseButtonPressed = false;
  bool FMouseRightButtonReleased = false;
  TObject* FMouseCaptureObject = nullptr;
  int32_t FMouseEnterCounter = 0;
  int32_t FMouseWheelAccumulator = 0;
  TcxDragAndDropState FDragAndDropState = ddsNone;
  std::unique_ptr<TcxDragAndDropObject> FDragAndDropObject;
  TCursor FDragAndDropPrevCursor = crDefault;
  bool FFinishingDragAndDrop = false;
  std::unique_ptr<TcxDragImageList> FDragImages;
  TScrollStyle FScrollBars = ssBoth;
  std::unique_ptr<TcxControlWindowedScrollBars> FMainScrollBars;
  // Whether the main scroll bars were made or refused as NeedsScrollBars says; that is asked
  // at the first use after construction (a constructor would hear only this class's answer).
  mutable bool FScrollBarsChecked = false;
  TcxControlWindowedScrollBars* MainBars() const;
  int32_t FScrollBarsLockCount = 0;
  bool FScrollBarsUpdateNeeded = false;
  int32_t FUpdateScrollBarsCount = 0;
  bool FInitialHScrollBarActive = false;
  bool FInitialVScrollBarActive = false;
  TPoint FGestureAccumulatedDelta;
  bool FIsScrollingContent = false;
  TdxScrollbarMode FScrollbarMode = sbmClassic;
  std::unique_ptr<TcxControlScrollBarsManager> FScrollBarsManager;
  std::unique_ptr<TdxTouchScrollUIActivityHelper> FScrollUIActivityHelper;
  std::unique_ptr<TdxHybridScrollbarsManager> FHybridScrollbarsManager;
  TColor FHybridScrollbarBaseColor = clDefault;
  bool FIsScrollUIModeChanging = false;
  bool FAllowScrollContentOnDrag = false;
  std::unique_ptr<IdxGestureOwner> FGestureOwner;
  std::unique_ptr<TdxGestureHelper> FGestureHelper;
  TComponent* FPopupMenu = nullptr;
  String FOriginalHint;
  std::vector<IcxFontListener*> FFontListenerList;
  bool FCreatingWindow = false;
};

// The parent first hears CM_INVALIDATE with wParam 1; AInvalidateSelf invalidates the window
// itself, and with it AInvalidateChildren the children that let the background show through.
void InvalidateControl(TWinControl* AControl, bool AInvalidateSelf, bool AInvalidateChildren);

// Copies the window's update region into ARegion; False when none was obtained (on Windows 7
// without composition always, otherwise unless the region is simple or complex).
bool dxGetUpdateRgn(HWND AWnd, HRGN ARegion);
bool dxGetUpdateRgn(TWinControl* AControl, TcxRegion* ARegion);
// Paints the control through an off-screen bitmap of the update rectangle.
void dxBufferedPaintControl(TWinControl* AControl);
// Paints the window through the system's buffered paint (for a composited desktop).
void dxPaintWindowOnGlass(HWND AWnd, bool APaintBlackOpaque = false);
void dxDrawWindowOnGlass(HWND AWnd, HDC DC, const TRect& R, bool APaintBlackOpaque = false);

}  // namespace qd
