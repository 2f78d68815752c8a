#pragma once
// The drop-down editor: a mask editor whose first button drops a popup window below, above or
// beside it, and the popup window itself with its frame, system panel, size grip and resizing.
#include <memory>

#include "ui/controls/cxContainerPopup.h"
#include "ui/controls/cxControlsDragAndDrop.h"
#include "ui/editors/cxMaskEdit.h"
#include "ui/editors/dxIncrementalFiltering.h"

namespace qd {

class TcxCustomDropDownEdit;
class TcxCustomEditPopupWindow;

using TCloseQueryEvent = TMethod<void(TObject* Sender, bool& CanClose)>;
using TcxCustomDrawBorderEvent =
    TMethod<void(TObject* Sender, TcxCanvas* ACanvas, TRect& R, bool& AHandled, int32_t& ABorderWidth)>;

// --- Properties --------------------------------------------------------------------------------

class TcxCustomDropDownEditProperties : public TcxCustomMaskEditProperties {
  QD_CLASS(TcxCustomDropDownEditProperties, TcxCustomMaskEditProperties)

 public:
  explicit TcxCustomDropDownEditProperties(TPersistent* AOwner);
  ~TcxCustomDropDownEditProperties() override;

  virtual int32_t DropDownButtonVisibleIndex() { return 0; }
  virtual TcxEditButtonKind DefaultButtonKind() { return bkDown; }
  virtual bool DropDownOnClick() { return false; }
  virtual bool GetAlwaysPostEditValue() { return false; }
  virtual TClass GetPopupWindowClass();
  virtual bool PopupWindowAcceptsAnySize() { return true; }
  virtual bool PopupWindowCapturesFocus() { return UseSearchControl(); }

  TClass GetContainerClass() const override;
  TClass GetViewDataClass() const override;
  bool IsLookupDataVisual() override { return true; }
  TcxEditSupportedOperations GetSupportedOperations() override;
  void ChangeScale(int32_t M, int32_t D) override;

  TdxSmartGlyph* ButtonGlyph() const { return FButtonGlyph.get(); }
  void SetButtonGlyph(TdxSmartGlyph* Value);
  int32_t GlyphButtonIndex() const { return FGlyphButtonIndex; }
  bool ImmediateDropDownWhenActivated() const { return FImmediateDropDownWhenActivated; }
  void SetImmediateDropDownWhenActivated(bool Value) { FImmediateDropDownWhenActivated = Value; }
  bool ImmediateDropDownWhenKeyPressed() const { return FImmediateDropDownWhenKeyPressed; }
  void SetImmediateDropDownWhenKeyPressed(bool Value) { FImmediateDropDownWhenKeyPressed = Value; }
  bool KeepArrowButtonPressedWhenDroppedDown() const { return FKeepArrowButtonPressedWhenDroppedDown; }
  void SetKeepArrowButtonPressedWhenDroppedDown(bool Value);
  bool PopupAutoSize() const { return FPopupAutoSize; }
  void SetPopupAutoSize(bool Value) { FPopupAutoSize = Value; }
  bool PopupClientEdge() const { return FPopupClientEdge; }
  void SetPopupClientEdge(bool Value);
  TcxPopupDirection PopupDirection() const { return FPopupDirection; }
  void SetPopupDirection(TcxPopupDirection Value) { FPopupDirection = Value; }
  int32_t PopupHeight() const { return FPopupHeight; }
  void SetPopupHeight(int32_t Value);
  int32_t PopupWidth() const { return FPopupWidth; }
  void SetPopupWidth(int32_t Value);
  int32_t PopupMinHeight() const { return FPopupMinHeight; }
  void SetPopupMinHeight(int32_t Value);
  int32_t PopupMinWidth() const { return FPopupMinWidth; }
  void SetPopupMinWidth(int32_t Value);
  TcxPopupAlignHorz PopupHorzAlignment() const { return FPopupHorzAlignment; }
  void SetPopupHorzAlignment(TcxPopupAlignHorz Value) { FPopupHorzAlignment = Value; }
  TcxPopupAlignVert PopupVertAlignment() const { return FPopupVertAlignment; }
  void SetPopupVertAlignment(TcxPopupAlignVert Value) { FPopupVertAlignment = Value; }
  TAlignment PopupAlignment() const;
  void SetPopupAlignment(TAlignment Value);
  bool PopupSizeable() const { return FPopupSizeable; }
  void SetPopupSizeable(bool Value);
  bool PopupSysPanelStyle() const { return FPopupSysPanelStyle; }
  void SetPopupSysPanelStyle(bool Value);
  bool PostPopupValueOnTab() const { return FPostPopupValueOnTab; }
  void SetPostPopupValueOnTab(bool Value) { FPostPopupValueOnTab = Value; }

  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnCloseUp;
  TNotifyEvent OnFinalizePopup;
  TNotifyEvent OnInitPopup;
  TNotifyEvent OnPopup;

 protected:
  void DoAssign(TcxCustomEditProperties* Source) override;
  void DoChanged() override;
  void SetGlyphButtonIndex(int32_t AIndex);
  void UpdateButtons();

 private:
  std::unique_ptr<TdxSmartGlyph> FButtonGlyph;
  int32_t FGlyphButtonIndex = 0;
  bool FImmediateDropDownWhenActivated = false;
  bool FImmediateDropDownWhenKeyPressed = true;
  bool FKeepArrowButtonPressedWhenDroppedDown = false;
  bool FPopupAutoSize = true;
  bool FPopupClientEdge = false;
  TcxPopupDirection FPopupDirection = pdVertical;
  int32_t FPopupHeight = 0;
  int32_t FPopupWidth = 0;
  TcxPopupAlignHorz FPopupHorzAlignment = pahLeft;
  int32_t FPopupMinHeight = 0;
  int32_t FPopupMinWidth = 0;
  bool FPopupSizeable = false;
  bool FPopupSysPanelStyle = false;
  TcxPopupAlignVert FPopupVertAlignment = pavBottom;
  bool FPostPopupValueOnTab = false;
};

// The popup size a user gave an in-place editor's popup, kept per activation.
class TcxCustomDropDownEditData : public TcxCustomEditData {
  QD_CLASS(TcxCustomDropDownEditData, TcxCustomEditData)

 public:
  using TcxCustomEditData::TcxCustomEditData;
  bool Initialized = false;
  int32_t Width = 0;
  int32_t Height = 0;
};

// --- View data ---------------------------------------------------------------------------------

class TcxCustomDropDownEditViewData : public TcxCustomTextEditViewData {
  QD_CLASS(TcxCustomDropDownEditViewData, TcxCustomTextEditViewData)

 public:
  using TcxCustomTextEditViewData::TcxCustomTextEditViewData;
  void Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, TcxMouseButton Button,
                 TShiftState Shift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  bool CanPressButton(TcxCustomEditViewInfo* AViewInfo, int32_t AButtonVisibleIndex) override;
  bool IsButtonPressed(TcxCustomEditViewInfo* AViewInfo, int32_t AButtonVisibleIndex) override;

  bool HasPopupWindow = false;
  bool IsHotAndPopup = false;
  bool KeepArrowButtonPressedWhenDroppedDown = false;
};

// --- The popup window --------------------------------------------------------------------------

// Hit-test codes of the popup frame.
constexpr int32_t cxPopupHitNone = -1;
constexpr int32_t cxPopupHitCloseButton = 0;
constexpr int32_t cxPopupHitCornerNWSE = 1;
constexpr int32_t cxPopupHitCornerNESW = 2;
constexpr int32_t cxPopupHitHorzEdge = 3;
constexpr int32_t cxPopupHitVertEdge = 4;

// The width of the popup's shadow at the right and bottom.
constexpr int32_t cxEditShadowWidth = 3;

class TcxCustomEditPopupWindowViewInfo : public TdxCustomIncrementalFilteringContainerViewInfo {
  QD_CLASS(TcxCustomEditPopupWindowViewInfo, TdxCustomIncrementalFilteringContainerViewInfo)

 public:
  using TcxContainerViewInfo::DrawBorder;
  virtual void DrawBorder(TcxCanvas* ACanvas, TRect& R);
  virtual TRect GetBorderExtent();
  virtual TRect GetClientExtent() { return GetBorderExtent(); }
  virtual int32_t GetSysPanelHeight();
  // The "No matches found" panel lies below the client rectangle, not inside it.
  virtual bool IsSearchInfoPanelInClientRect() { return false; }
  int32_t GetBorderWidth();
  int32_t GetClientEdgeWidth();
  TRect GetShadowOffsets() const { return TRect{0, 0, cxEditShadowWidth, cxEditShadowWidth}; }
  TRect GetSysPanelBorders();
  bool IsGripAtBottom() const { return SizeGripCorner == coBottomLeft || SizeGripCorner == coBottomRight; }
  bool IsGripAtRight() const { return SizeGripCorner == coTopRight || SizeGripCorner == coBottomRight; }

  TcxCustomDrawBorderEvent OnCustomDrawBorder;
  TcxEditPopupBorderStyle PopupBorderStyle = epbsDefault;
  bool ClientEdge = false;
  int32_t MinSysPanelHeight = 0;
  bool ShowCloseButton = false;
  TRect CloseButtonRect;
  TcxButtonState CloseButtonState = cxbsNormal;
  bool Sizeable = false;
  TdxCorner SizeGripCorner = coBottomRight;
  TRect SizeGripRect;
  TRect SizeGripSizingRect;
  int32_t SysPanelHeight = 0;
  TRect SysPanelBounds;
  bool SysPanelStyle = false;

 protected:
  void InternalPaint(TcxCanvas* ACanvas) override;

 private:
  bool DrawCustomBorder(TcxCanvas* ACanvas, TRect& R, int32_t& ABorderWidth);
};

class TcxCustomEditPopupWindow : public TdxCustomIncrementalFilteringPopupWindow {
  QD_CLASS(TcxCustomEditPopupWindow, TdxCustomIncrementalFilteringPopupWindow)

 public:
  // AViewInfoClass: a descendant's view info (a TcxCustomEditPopupWindowViewInfo); nil for this
  // class's.
  explicit TcxCustomEditPopupWindow(TWinControl* AOwnerControl, TClass AViewInfoClass = nullptr);
  ~TcxCustomEditPopupWindow() override;

  TcxCustomDropDownEdit* GetEdit() const;
  TcxCustomEditPopupWindowViewInfo* ViewInfo() const {
    return static_cast<TcxCustomEditPopupWindowViewInfo*>(TcxCustomPopupWindow::ViewInfo());
  }

  virtual void CalculateViewInfo();
  virtual void DoPopupControlKey(Char AKey);
  virtual TSize GetMinSize();

  void CalculateSize(TSize& ASize) override;
  void CalculatePosition(const TSize& ASize, TPoint& APosition) override;
  void Popup(TWinControl* AFocusedControl) override;
  using TcxCustomPopupWindow::Popup;
  void ModalCloseUp() override;
  void AdjustClientRect(TRect& Rect) override;
  void CorrectBoundsWithDesktopWorkArea(TPoint& APosition, TSize& ASize) override {
    TcxCustomPopupWindow::CorrectBoundsWithDesktopWorkArea(APosition, ASize);
  }
  void Dispatch(TMessage& Message) override;

  void RefreshPopupWindow();
  void ResizePopupWindow(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight);
  void LockCheckSize() { ++FLockCheckSizeCount; }
  void UnLockCheckSize() { --FLockCheckSizeCount; }
  bool CheckSizeLocked() const { return FLockCheckSizeCount > 0; }
  TSize GetMaxVisualAreaSize();
  int32_t GetHitTest(const TPoint& P);
  // Resizing from a point in popup coordinates.
  void StartResize(const TPoint& P, int32_t AHitTest);
  void DoResize(const TPoint& P);
  void EndResize(bool AApply);
  bool IsResizing() const { return FSizingCapture; }
  bool CanResize(int& NewWidth, int& NewHeight) override;

  bool PopupAutoSize() const { return FPopupAutoSize; }
  void SetPopupAutoSize(bool Value) { FPopupAutoSize = Value; }
  TcxEditPopupBorderStyle PopupBorderStyle() const { return FBorderStyle; }
  void SetPopupBorderStyle(TcxEditPopupBorderStyle Value);
  bool ClientEdge() const { return FClientEdge; }
  void SetClientEdge(bool Value);
  bool CloseButton() const { return FCloseButton; }
  void SetCloseButton(bool Value);
  bool NativeStyle() const { return FNativeStyle; }
  void SetNativeStyle(bool Value);
  bool Shadow() const { return FShadow; }
  void SetShadow(bool Value);
  bool Sizeable() const { return FSizeable; }
  void SetSizeable(bool Value);
  bool SysPanelStyle() const { return FSysPanelStyle; }
  void SetSysPanelStyle(bool Value);
  int32_t MinHeight() const { return FMinHeight; }
  void SetMinHeight(int32_t Value) { FMinHeight = Value; }
  int32_t MinWidth() const { return FMinWidth; }
  void SetMinWidth(int32_t Value) { FMinWidth = Value; }
  int32_t PopupHeight() const { return FPopupHeight; }
  void SetPopupHeight(int32_t Value) { FPopupHeight = Value; }
  int32_t PopupWidth() const { return FPopupWidth; }
  void SetPopupWidth(int32_t Value) { FPopupWidth = Value; }
  bool ShowContentWhileResize() const { return FShowContentWhileResize; }
  void SetShowContentWhileResize(bool Value) { FShowContentWhileResize = Value; }
  TcxSizeFrame* SizeFrame() const { return FSizeFrame.get(); }

 protected:
  bool AcceptsAnySize() override;
  void DoClosing() override;
  void PopupWindowStyleChanged(TObject* Sender) override;
  void CreateParams(TCreateParams& Params) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseLeave(TControl* AControl) override;
  void Resize() override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

  void UpdateSysPanelState(const TPoint& P, TShiftState Shift);
  void SetCloseButtonState(TcxButtonState AState);
  void DrawSizeFrame(const TRect& R);

 private:
  bool FPopupAutoSize = true;
  TcxEditPopupBorderStyle FBorderStyle = epbsDefault;
  bool FClientEdge = false;
  bool FCloseButton = false;
  bool FNativeStyle = false;
  bool FShadow = false;
  bool FSizeable = false;
  bool FSysPanelStyle = false;
  int32_t FMinHeight = 0;
  int32_t FMinWidth = 0;
  int32_t FPopupHeight = 0;
  int32_t FPopupWidth = 0;
  bool FShowContentWhileResize = false;
  std::unique_ptr<TcxSizeFrame> FSizeFrame;
  TPoint FCapturePoint;
  TRect FCaptureBounds;
  TRect FSizeFrameBounds;
  bool FSizingCapture = false;
  int32_t FSizingHitTest = cxPopupHitNone;
  int32_t FLockCheckSizeCount = 0;
};

// Sets the window region of a popup with a shadow, keeping the strip under the editor free
// for a popup above it.
void SetEditPopupWindowShadowRegion(TcxCustomEditPopupWindow* APopupWindow);

// --- The look-and-feel of controls in the popup -----------------------------------------------

// Follows the editor's style: its kind when the editor is in-place or has buttons (else
// Standard), the editor's native style, skin name and scroll bar mode.
class TcxEditPopupControlLookAndFeel : public TcxLookAndFeel {
  QD_CLASS(TcxEditPopupControlLookAndFeel, TcxLookAndFeel)

 public:
  explicit TcxEditPopupControlLookAndFeel(TcxCustomDropDownEdit* AEdit);
  // Re-reads the editor's style and announces what differs.
  void EditStyleChanged();

 protected:
  TcxLookAndFeelKind InternalGetKind() override { return FKind; }
  bool InternalGetNativeStyle() override { return FNativeStyle; }
  TdxSkinName InternalGetSkinName() override { return FSkinName; }
  TdxScrollbarMode InternalGetScrollbarMode() override { return FScrollbarMode; }

 private:
  TcxCustomDropDownEdit* FEdit;
  TcxLookAndFeelKind FKind = lfStandard;
  bool FNativeStyle = false;
  TdxSkinName FSkinName;
  TdxScrollbarMode FScrollbarMode = sbmDefault;
};

// --- The drop-down editor ----------------------------------------------------------------------

// A typed character the editor hands to its popup's focused control.
constexpr UINT CM_POPUPCONTROLKEY = 0x8096;
constexpr UINT CM_DROPDOWNBYPASTE = 0x8097;

class TcxCustomDropDownEdit : public TcxCustomMaskEdit {
  QD_CLASS(TcxCustomDropDownEdit, TcxCustomMaskEdit)

 public:
  explicit TcxCustomDropDownEdit(TComponent* AOwner) : TcxCustomDropDownEdit(AOwner, false) {}
  TcxCustomDropDownEdit(TComponent* AOwner, bool AIsInplace);
  ~TcxCustomDropDownEdit() override;
  void AfterConstruction() override;

  TClass GetPropertiesClass() const override { return TcxCustomDropDownEditProperties::StaticClass(); }
  TcxCustomDropDownEditProperties* ActiveProperties() {
    return static_cast<TcxCustomDropDownEditProperties*>(TcxCustomEdit::ActiveProperties());
  }
  TcxCustomDropDownEditProperties* Properties() {
    return static_cast<TcxCustomDropDownEditProperties*>(TcxCustomEdit::Properties());
  }

  bool DroppedDown() { return HasPopupWindow(); }
  void SetDroppedDown(bool Value);
  bool HasPopupWindow() override;
  // Made on first use outside design time.
  TcxCustomEditPopupWindow* PopupWindow();
  TcxEditCloseUpReason CloseUpReason() const { return FCloseUpReason; }
  bool PopupSizeChanged() const { return FPopupSizeChanged; }
  bool IsHotAndPopup() const { return FIsHotAndPopup; }
  // The look-and-feel for controls placed in the popup.
  // Made on first use.
  TcxEditPopupControlLookAndFeel* PopupControlsLookAndFeel();

  // The rectangle the popup is placed against, in the editor's parent's coordinates.
  virtual TRect GetPopupWindowOwnerControlBounds();
  virtual void GetPopupWindowClientPreferredSize(TSize& ASize) { ASize = TSize{0, 0}; }
  // The lookup data's visual area takes the client rectangle.
  virtual void PositionPopupWindowChildren(const TRect& AClientRect);
  virtual void StorePopupSize();
  virtual void SetupPopupWindow();
  virtual void CloseUp(TcxEditCloseUpReason AReason);
  virtual void DoFinalizePopup();
  // Whether a show message is pending for the popup.
  bool IsPopupWindowShowing();

  bool IsContainerFocused() override;
  void PropertiesChanged(TObject* Sender) override;
  bool TabsNeeded() override;

 protected:
  friend class TcxCustomEditPopupWindow;
  virtual bool CanDropDown() { return false; }
  virtual void CreatePopupWindow();
  virtual void DestroyPopupWindow();
  virtual void DoCloseUp();
  virtual void DoInitPopup();
  virtual void DoPopup();
  virtual void DropDown();
  virtual void EditButtonClick() {}
  virtual int32_t GetPopupHeight();
  virtual int32_t GetPopupWidth();
  virtual TWinControl* GetPopupFocusedControl();
  virtual void InitializePopupWindow();
  // Filtering left no item to show: the popup shows its "No matches found" panel.
  bool NeedSearchInfoPanelShow();
  virtual bool IsPopupWindowCaptureFocus() { return ActiveProperties()->PopupWindowCapturesFocus(); }
  virtual bool CanHide() { return true; }
  virtual void PopupControlsLookAndFeelChanged(TObject* Sender) {}
  // The lookup data's list in the popup: made or refreshed before the popup is sized.
  virtual bool CanInitializeLookupData();
  virtual void InitializeLookupData();
  bool GetScrollLookupDataList(TcxEditScrollCause AScrollCause) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

  virtual void PopupWindowCloseQuery(TObject* Sender, bool& CanClose);
  virtual void PopupWindowClosed(TObject* Sender);
  virtual void PopupWindowClosing(TObject* Sender) {}
  virtual void PopupWindowBeforeClosing(TObject* Sender) {}
  virtual void PopupWindowShowing(TObject* Sender) {}
  virtual void PopupWindowShowed(TObject* Sender);

  TClass GetEditDataClass() override { return TcxCustomDropDownEditData::StaticClass(); }
  void InitializeEditData() override;
  void InitializeViewData(TcxCustomEditViewData* AViewData) override;
  void DoEditKeyDown(WORD& Key, TShiftState Shift) override;
  void DoEditKeyPress(Char& Key) override;
  void DoEditProcessTab(TShiftState Shift) override;
  bool IsEditorKey(WORD Key, TShiftState Shift) override;
  void DoButtonDown(int32_t AButtonVisibleIndex) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoRefreshContainer(const TPoint& P, TcxMouseButton Button, TShiftState Shift,
                          bool AIsMouseEvent) override;
  void DoExit() override;
  void FocusChanged() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;
  TcxContainerStyleValues InternalGetNotPublishedStyleValues() override;
  void ContainerStyleChanged(TObject* Sender) override;

  TcxEditCloseUpReason FCloseUpReason = crUnknown;
  bool FPopupInitialized = false;
  bool FPopupSizeChanged = false;
  bool FIsHotAndPopup = false;
  bool FIsActivatingByMouse = false;
  TPoint FCachedPosition = cxInvisiblePoint;
  // A reason was recorded for the close in progress.
  bool FCloseUpReasonSet = false;

 private:
  void StorePosition();
  bool IsVisibleForPosition();
  void PopupControlsLookAndFeelChangedHandler(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues);
  TcxCustomEditPopupWindow* FPopupWindow = nullptr;
  std::unique_ptr<TcxEditPopupControlLookAndFeel> FPopupControlsLookAndFeel;
};

class TcxDropDownEditProperties : public TcxCustomDropDownEditProperties {
  QD_CLASS(TcxDropDownEditProperties, TcxCustomDropDownEditProperties)

 public:
  using TcxCustomDropDownEditProperties::TcxCustomDropDownEditProperties;
};

namespace cxDropDownEdit {
void Initialize();
void Finalize();
}  // namespace cxDropDownEdit

}  // namespace qd
