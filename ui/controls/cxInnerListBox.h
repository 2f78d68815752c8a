#pragma once
// The list box that lives inside a container: the system list box keeps the items, the
// selection and the keyboard; two library scroll bars cover its system bars; keyboard and
// mouse events go to the container first; typed text searches the items.
#include <memory>

#include "platform/forms/stdctrls_listbox.h"
#include "ui/controls/cxContainer.h"
#include "ui/controls/cxScrollBar.h"

namespace qd {

class TcxCustomInnerListBox : public TListBox, public IcxContainerInnerControl {
  QD_CLASS(TcxCustomInnerListBox, TListBox)

 public:
  explicit TcxCustomInnerListBox(TComponent* AOwner);
  ~TcxCustomInnerListBox() override;

  // Incremental search as the user types; the filter restarts after AutoCompleteDelay ms.
  bool AutoComplete() const { return FAutoComplete; }
  void SetAutoComplete(bool Value) { FAutoComplete = Value; }
  uint32_t AutoCompleteDelay() const { return FAutoCompleteDelay; }
  void SetAutoCompleteDelay(uint32_t Value) { FAutoCompleteDelay = Value; }
  const String& AutoCompleteFilter() const { return FAutoCompleteFilter; }

  TcxContainer* Container() const { return FContainer; }
  void SetContainer(TcxContainer* Value) { FContainer = Value; }
  TcxScrollBar* HScrollBar() const { return FHScrollBar; }
  TcxScrollBar* VScrollBar() const { return FVScrollBar; }
  TcxLookAndFeel* LookAndFeel() const { return FLookAndFeel.get(); }
  // The root container's scale factor.
  TdxScaleFactor* GetScaleFactor();

  // IcxContainerInnerControl
  TWinControl* GetControl() override { return this; }
  TcxContainer* GetControlContainer() override { return FContainer; }
  void SetLookAndFeel(TcxLookAndFeel* Value) { FLookAndFeel->Assign(Value); }

  // True when a corner of the item's rectangle lies in the list box.
  bool ItemVisible(int Index);
  // Both library bars show: the list box's own, or those its container mirrors.
  bool IsSizeGripVisible();
  // The corner between the two library bars, relative to the list box's window rectangle.
  TRect GetSizeGripRect();
  void DrawSizeGrip();
  void Scroll(TScrollBarKind AKind, TScrollCode ACode, int32_t& APosition);
  virtual void SetExternalScrollBarsParameters();

  // The container's menu: the list box has none of its own.
  TPopupMenu* GetPopupMenu() override {
    return FContainer ? FContainer->GetPopupMenu() : TListBox::GetPopupMenu();
  }
  void WndProc(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

 protected:
  virtual void DoAutoComplete(Char& Key);
  virtual TcxContainer* GetRootContainer() { return FContainer; }
  virtual void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues);
  bool NeedDrawFocusRect() override { return !OnDrawItem; }
  virtual int FindAutoCompleteString(const String& S);
  virtual void DoScroll(TScrollBarKind AKind, TScrollCode ACode, int32_t APosition);

  void Click() override;
  void DblClick() override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void HScrollHandler(TObject* Sender, TScrollCode ScrollCode, int32_t& ScrollPos);
  void VScrollHandler(TObject* Sender, TScrollCode ScrollCode, int32_t& ScrollPos);
  void PlaceScrollBar(TcxScrollBar* ABar, LONG AObject, int ABar2);
  // The bars whose corner holds the grip, nil when not both show.
  bool SizeGripBars(TcxScrollBar*& AHorizontal, TcxScrollBar*& AVertical);

  String FAutoCompleteFilter;
  bool FAutoComplete = true;
  uint32_t FAutoCompleteDelay = 500;
  TcxScrollBar* FHScrollBar = nullptr;
  bool FIsRedrawLocked = false;
  std::unique_ptr<TcxLookAndFeel> FLookAndFeel;
  DWORD FPrevKeyPressTime = 0;
  bool FScrollBarsCalculating = false;
  int32_t FScrollBarsLockCount = 0;
  TcxScrollBar* FVScrollBar = nullptr;
  TcxContainer* FContainer = nullptr;
};

class TcxInnerListBox : public TcxCustomInnerListBox {
  QD_CLASS(TcxInnerListBox, TcxCustomInnerListBox)

 public:
  using TcxCustomInnerListBox::TcxCustomInnerListBox;
};

}  // namespace qd
