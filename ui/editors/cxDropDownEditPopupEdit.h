#pragma once
// The popup edit: a drop-down editor whose popup hosts a control of the application. On each
// drop-down the control moves into the popup and fills it; when the popup closes the control
// goes back to its parent with its old alignment, bounds, visibility and border style.
#include <memory>

#include "ui/core/cxClasses.h"
#include "ui/editors/cxDropDownEdit.h"

namespace qd {

class TcxCustomPopupEditProperties : public TcxCustomDropDownEditProperties {
  QD_CLASS(TcxCustomPopupEditProperties, TcxCustomDropDownEditProperties)

 public:
  explicit TcxCustomPopupEditProperties(TPersistent* AOwner);
  ~TcxCustomPopupEditProperties() override;

  TClass GetContainerClass() const override;
  TClass GetPopupWindowClass() override;
  bool IsLookupDataVisual() override { return false; }
  bool PopupWindowCapturesFocus() override { return true; }

  // Not owned; cleared when the control is freed.
  TControl* PopupControl() const { return FPopupControl; }
  void SetPopupControl(TControl* Value);

 protected:
  void DoAssign(TcxCustomEditProperties* Source) override;
  virtual void FreeNotification(TComponent* AComponent);

 private:
  TControl* FPopupControl = nullptr;
  std::unique_ptr<TcxFreeNotificator> FFreeNotificator;
};

class TcxPopupEditProperties : public TcxCustomPopupEditProperties {
  QD_CLASS(TcxPopupEditProperties, TcxCustomPopupEditProperties)
  QD_PUBLISHED(TcxPopupEditProperties)

 public:
  explicit TcxPopupEditProperties(TPersistent* AOwner);
};

// Its frame always has a client edge around the hosted control.
class TcxPopupEditPopupWindowViewInfo : public TcxCustomEditPopupWindowViewInfo {
  QD_CLASS(TcxPopupEditPopupWindowViewInfo, TcxCustomEditPopupWindowViewInfo)

 public:
  using TcxCustomEditPopupWindowViewInfo::DrawBorder;
  void DrawBorder(TcxCanvas* ACanvas, TRect& R) override;
};

class TcxPopupEditPopupWindow : public TcxCustomEditPopupWindow {
  QD_CLASS(TcxPopupEditPopupWindow, TcxCustomEditPopupWindow)

 public:
  using OwnerType = TWinControl;
  explicit TcxPopupEditPopupWindow(TWinControl* AOwnerControl);
};

// The state of the popup control before it moved into the popup.
struct TcxPrevPopupControlData {
  TAlign Align = alNone;
  TRect Bounds;
  TWinControl* Parent = nullptr;
  bool Visible = false;
  TFormBorderStyle BorderStyle = bsNone;
  // The control inside the popup that had the focus when the popup began to close.
  TWinControl* ActiveControl = nullptr;
};

class TcxCustomPopupEdit : public TcxCustomDropDownEdit {
  QD_CLASS(TcxCustomPopupEdit, TcxCustomDropDownEdit)

 public:
  explicit TcxCustomPopupEdit(TComponent* AOwner) : TcxCustomPopupEdit(AOwner, false) {}
  TcxCustomPopupEdit(TComponent* AOwner, bool AIsInplace);
  ~TcxCustomPopupEdit() override;

  TClass GetPropertiesClass() const override { return TcxCustomPopupEditProperties::StaticClass(); }
  TcxCustomPopupEditProperties* ActiveProperties() {
    return static_cast<TcxCustomPopupEditProperties*>(TcxCustomEdit::ActiveProperties());
  }
  TcxCustomPopupEditProperties* Properties() {
    return static_cast<TcxCustomPopupEditProperties*>(TcxCustomEdit::Properties());
  }
  void SetProperties(TcxCustomPopupEditProperties* Value) { Properties()->Assign(Value); }

  // Closes the popup with AReason (a posted close); for the hosted control's own buttons.
  virtual void HidePopup(TObject* Sender, TcxEditCloseUpReason AReason);

  void GetPopupWindowClientPreferredSize(TSize& ASize) override;
  void PositionPopupWindowChildren(const TRect& AClientRect) override;
  void SetupPopupWindow() override;

  const TcxPrevPopupControlData& PrevPopupControlData() const { return FPrevPopupControlData; }

 protected:
  bool CanDropDown() override;
  void DoInitPopup() override;
  TWinControl* GetPopupFocusedControl() override;
  void PopupWindowClosing(TObject* Sender) override;
  void PopupWindowClosed(TObject* Sender) override;
  virtual void RestorePopupControlData();
  virtual void SavePopupControlData();

 private:
  void SavedControlFreed(TComponent* AComponent);
  void Watch(TComponent* AComponent);
  TcxPrevPopupControlData FPrevPopupControlData;
  // The control the saved data belongs to while it is in the popup.
  TControl* FSavedPopupControl = nullptr;
  std::unique_ptr<TcxFreeNotificator> FFreeNotificator;
};

class TcxPopupEdit : public TcxCustomPopupEdit {
  QD_CLASS(TcxPopupEdit, TcxCustomPopupEdit)
  QD_PUBLISHED(TcxPopupEdit)

 public:
  using TcxCustomPopupEdit::TcxCustomPopupEdit;
  TClass GetPropertiesClass() const override { return TcxPopupEditProperties::StaticClass(); }
  TcxPopupEditProperties* ActiveProperties() {
    return static_cast<TcxPopupEditProperties*>(TcxCustomEdit::ActiveProperties());
  }
  TcxPopupEditProperties* Properties() {
    return static_cast<TcxPopupEditProperties*>(TcxCustomEdit::Properties());
  }
  void SetProperties(TcxPopupEditProperties* Value) { Properties()->Assign(Value); }
};

}  // namespace qd
