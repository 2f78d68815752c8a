#pragma once
// The popup form of drop-down editors: a registry of the shown popups, a framed look drawn by
// a container view info, a modal loop while the popup holds the focus, the focus returned on
// closing, and the hooks that close popups when the user acts anywhere that does not belong
// to them.
#include <memory>
#include <vector>

#include "ui/controls/cxContainer.h"
#include "ui/controls/cxControlsPopup.h"
#include "ui/core/cxClassesComponents.h"

namespace qd {

class TcxCustomPopupWindow;

// Deferred closing and showing of a popup.
constexpr UINT CM_CLOSEPOPUPWINDOW = 0x807D;
constexpr UINT CM_SHOWPOPUPWINDOW = 0x807E;

// --- TcxPopupVisibleController ---------------------------------------------------------------------

class TcxPopupVisibleController : public TObject {
  QD_CLASS(TcxPopupVisibleController, TObject)

 public:
  void Register(TcxCustomPopupWindow* AItem);
  void UnRegister(TcxCustomPopupWindow* AItem);
  bool IsVisible(const TcxCustomPopupWindow* AItem) const;
  bool IsAnyVisible() const { return !FItems.empty(); }
  int Count() const { return static_cast<int>(FItems.size()); }
  // The last one is the topmost.
  TcxCustomPopupWindow* Items(int AIndex) const { return FItems[static_cast<size_t>(AIndex)]; }

  // Closes every popup that neither owns AWnd nor is an inactive focus-capturing one.
  void CloseUnRelated(HWND AWnd);
  // Closes the first shown popup related to AWnd and every popup shown after it, topmost first.
  void CloseRelated(HWND AWnd);

 private:
  std::vector<TcxCustomPopupWindow*> FItems;
};

// Created on first use; freed by the unit's shut-down.
TcxPopupVisibleController* cxPopupVisibleController();

// --- TcxCustomPopupWindow --------------------------------------------------------------------------

class TcxCustomPopupWindow : public TcxPopupWindow {
  QD_CLASS(TcxCustomPopupWindow, TcxPopupWindow)

 public:
  explicit TcxCustomPopupWindow(TWinControl* AOwnerControl, TcxContainerStyleClass AStyleClass =
                                                                &cxCreateContainerStyle<TcxContainerStyle>);
  ~TcxCustomPopupWindow() override;

  // The frame: a normal-state style, and the view info that paints the popup.
  TcxContainerStyle* Style() const { return FStyle.get(); }
  void SetStyle(TcxContainerStyle* Value) { FStyle->Assign(Value); }
  TcxContainerViewInfo* ViewInfo() const { return FViewInfo.get(); }

  virtual void Popup(TWinControl* AFocusedControl);
  void Popup() override { Popup(FFocusedControl); }
  void CloseUp() override;
  // Closes the popup through a posted message.
  void ClosePopup();

  bool IsVisible() const;
  bool HasCapture();
  bool Focused();
  bool CanFocus() override { return Visible(); }

  void LockDeactivate(bool ALock) { FDeactivateLockCount += ALock ? 1 : -1; }
  bool IsDeactivateLocked() const { return FDeactivateLockCount != 0; }
  // Whether the popup was closed by a click inside its owner; the flag is cleared.
  bool GetJustClosed();
  void InternalEnableWindow(bool AEnable);

  bool CaptureFocus() const { return FCaptureFocus; }
  void SetCaptureFocus(bool Value);
  bool IsTopMost() const { return FIsTopMost; }
  void SetIsTopMost(bool Value);
  bool ModalMode() const { return FModalMode; }
  void SetModalMode(bool Value) { FModalMode = Value; }
  bool ShowWithoutActivation() const { return FShowWithoutActivation; }
  void SetShowWithoutActivation(bool Value) { FShowWithoutActivation = Value; }
  bool TerminateOnDestroy() const { return FTerminateOnDestroy; }
  void SetTerminateOnDestroy(bool Value) { FTerminateOnDestroy = Value; }
  TWinControl* OwnerControl() const { return FOwnerControl; }
  TWinControl* FocusedControl() const { return FFocusedControl; }
  // The control the next deferred show focuses.
  void SetPopupFocusedControl(TWinControl* Value);
  bool IsPopup() const { return FIsPopup; }
  bool IsBeingDestroyed() const { return ComponentState().Contains(csDestroying); }

  virtual bool IsSysKeyAccepted(WORD AKey);
  virtual bool NeedIgnoreMouseMessageAfterCloseUp(HWND AWnd, UINT AMsg, TShiftState AShift,
                                                  const TPoint& APos);
  virtual void ModalCloseUp() { CloseUp(); }

  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void AdjustClientRect(TRect& Rect) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateHandle() override;
  void SetVisible(bool Value) override;
  // Moving the focus inside the popup does not deactivate the owner's form.
  bool SetFocusedControl(TWinControl* Control) override;
  void Paint() override;
  // The popup's own shortcuts, then those of its owner's form.
  bool IsShortCut(TMessage& Message) override;

  TNotifyEvent OnBeforeClosing;
  TNotifyEvent OnClosed;
  TNotifyEvent OnClosing;
  TNotifyEvent OnShowed;
  TNotifyEvent OnShowing;

 protected:
  virtual bool AcceptsAnySize() { return false; }
  virtual bool HasBackground() { return false; }
  virtual void PopupWindowStyleChanged(TObject* Sender) {}
  virtual void MouseEnter(TControl* AControl) {}
  virtual void MouseLeave(TControl* AControl) {}
  virtual void DoBeforeClosing();
  virtual void DoClosed();
  virtual void DoClosing();
  virtual void DoShowed();
  virtual void DoShowing();
  virtual void CorrectBoundsWithDesktopWorkArea(TPoint& APosition, TSize& ASize);

  // A descendant's own view-info class (the constructor makes the base one); takes ownership.
  void ReplaceViewInfo(TcxContainerViewInfo* AViewInfo);
  void InitPopup() override;
  // A descendant's own view info, in place of the container view info made by the constructor.
  void ReplaceViewInfo(std::unique_ptr<TcxContainerViewInfo> AViewInfo);
  bool UseOwnerParentToGetScreenBounds() override;
  void Deactivate() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;

 private:
  friend void CloseUnrelatedPopupsOnMouseClick(HWND, const TPoint&, UINT, bool&);
  bool IsTopMostPopupWindow();
  // The popup follows the pixel density of an owner that has a scale factor.
  void UpdateScaleFactor();
  TWinControl* FirstTabStopControl();
  void SetPrevActive(TCustomForm* AForm, TWinControl* AControl);

  bool FCaptureFocus = true;
  int32_t FDeactivateLockCount = 0;
  bool FDeactivation = false;
  TWinControl* FFocusedControl = nullptr;
  bool FIsPopup = false;
  bool FIsTopMost = false;
  bool FJustClosed = false;
  bool FModalMode = true;
  bool FTerminateOnDestroy = false;
  TWinControl* FOwnerControl = nullptr;
  TCustomForm* FPrevActiveForm = nullptr;
  TWinControl* FPrevActiveControl = nullptr;
  bool FShowWithoutActivation = false;
  std::unique_ptr<TcxContainerStyle> FStyle;
  std::unique_ptr<TcxContainerViewInfo> FViewInfo;
};

// Whether TopMostComboBoxes: popups that do not take the focus stay in the topmost band.
bool cxTopMostComboBoxes();
void cxSetTopMostComboBoxes(bool Value);

bool IsRelatedWindow(HWND AParentWnd, HWND AChildWnd);
bool IsRelatedWindow(TWinControl* AControl, HWND AWnd);
bool HasNativeHandle(TWinControl* AControl, HWND AHandle, bool ACheckChildren = false);
bool HasHandle(TWinControl* AControl, HWND AHandle);
bool CheckParentsNativeHandle(TWinControl* AControl, HWND AHandle);
HWND FindFirstNonChildParentWindow(HWND AWnd);
HWND GetPopupOwnerControl(HWND AWnd);
void LockCMActivateMessages(bool ALock);
void CloseUnrelatedPopups(HWND AWnd);
void CloseUnrelatedPopupsOnGesture(HWND AWnd);
// Closes the popups a mouse-down on AWnd does not belong to; AIgnore: the click must not
// reach its window.
void CloseUnrelatedPopupsOnMouseClick(HWND AWnd, const TPoint& APoint, UINT AMsg, bool& AIgnore);

void cxContainerMouseHook(int ACode, WPARAM AWParam, LPARAM ALParam, LRESULT& AHookResult);
void cxContainerGetMessageHook(int ACode, WPARAM AWParam, LPARAM ALParam, LRESULT& AHookResult);
void cxContainerWndProcHook(int ACode, WPARAM AWParam, LPARAM ALParam, LRESULT& AHookResult);

// The three popup-closing hooks for the rest of the run; the shut-down removes them and
// frees the controller.
namespace cxContainerPopup {
void Initialize();
void Finalize();
}  // namespace cxContainerPopup

}  // namespace qd
