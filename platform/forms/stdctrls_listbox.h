#pragma once
// The list box control over the system "LISTBOX" window class: items kept by the window (or
// by the control while it has none), the single or multiple selection, scrolling, owner
// drawing through OnDrawItem / OnMeasureItem on the control's canvas, and virtual lists whose
// items live outside the control (OnData gives an item's text, OnDataFind searches).
#include <memory>

#include "platform/forms/controls.h"

namespace qd {

enum TListBoxStyle : uint8_t {
  lbStandard,
  lbOwnerDrawFixed,
  lbOwnerDrawVariable,
  lbVirtual,
  lbVirtualOwnerDraw
};

enum TOwnerDrawStateItem : uint8_t {
  odSelected,
  odGrayed,
  odDisabled,
  odChecked,
  odFocused,
  odDefault,
  odHotLight,
  odInactive,
  odNoAccel,
  odNoFocusRect,
  odReserved1,
  odReserved2,
  odComboBoxEdit
};
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;

class TCustomListBox;
using TDrawItemEvent =
    TMethod<void(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = TMethod<void(TWinControl* Control, int Index, int& Height)>;
// A virtual list's item text, and the index of the first item that begins with a text (-1: none).
using TLBGetDataEvent = TMethod<void(TWinControl* Control, int Index, String& Data)>;
using TLBFindDataEvent = TMethod<int(TWinControl* Control, const String& FindString)>;

// The items of a list box: the window's items while it has a window, else the control's
// own copy (handed to the window when it is made and taken back when it goes).
class TListBoxStrings : public TStrings {
  QD_CLASS(TListBoxStrings, TStrings)

 public:
  explicit TListBoxStrings(TCustomListBox* ListBox);
  ~TListBoxStrings() override;
  String Get(int Index) const override;
  int GetCount() const override;
  TObject* GetObject(int Index) const override;
  void Put(int Index, const String& S) override;
  void PutObject(int Index, TObject* AObject) override;
  void Insert(int Index, const String& S) override;
  void Delete(int Index) override;
  void Clear() override;
  int Add(const String& S) override;
  int IndexOf(const String& S) const override;

 protected:
  void SetUpdateState(bool Updating) override;

 private:
  friend class TCustomListBox;
  bool Live() const;
  HWND Wnd() const;
  void SavedInserted(int Index);
  TCustomListBox* listBox_;
  std::unique_ptr<TStringList> saved_;  // the items while there is no window
};

class TCustomListBox : public TWinControl {
  QD_CLASS(TCustomListBox, TWinControl)
  QD_PUBLISHED(TCustomListBox)

 public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;
  void Dispatch(TMessage& Message) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

  TStrings* Items() const { return items_.get(); }
  void SetItems(TStrings* Value) { items_->Assign(Value); }
  int Count() const { return items_->Count(); }
  // The number of items of a virtual list (the others count their items).
  void SetCount(int Value);
  bool IsVirtual() const { return style_ == lbVirtual || style_ == lbVirtualOwnerDraw; }
  void AddItem(const String& Item, TObject* AObject) { items_->AddObject(Item, AObject); }
  void Clear() { items_->Clear(); }
  void ClearSelection() { SetItemIndex(-1); }

  // -1 when nothing is selected; in a multiple-selection list the focused item.
  int ItemIndex();
  void SetItemIndex(int Value);
  int TopIndex();
  void SetTopIndex(int Value);
  // The item under a client point; when there is none, -1 (Existing) or Count (the point
  // lies in the client area below the last item).
  int ItemAtPos(TPoint Pos, bool Existing);
  // The item's rectangle in client coordinates; Count gives the row after the last item.
  TRect ItemRect(int Index);
  // Owner-drawn lists: the height they were given; standard lists: the font's row height.
  int ItemHeight();
  void SetItemHeight(int Value);
  TListBoxStyle Style() const { return style_; }
  void SetStyle(TListBoxStyle Value);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool Value);
  // The width that the horizontal scroll bar scrolls over (0: no horizontal scrolling).
  int ScrollWidth();
  void SetScrollWidth(int Value);
  bool IntegralHeight() const { return integralHeight_; }
  void SetIntegralHeight(bool Value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);
  TCanvas* Canvas() const { return canvas_.get(); }
  // Several items may be selected: by Ctrl and Shift clicks (ExtendedSelect) or by each click.
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool Value);
  bool ExtendedSelect() const { return extendedSelect_; }
  void SetExtendedSelect(bool Value);
  bool Selected(int Index);
  void SetSelected(int Index, bool Value);
  // Selected items (a single-selection list: 1 or 0).
  int SelCount();

  virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
  virtual void MeasureItem(int Index, int& Height);

  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;
  TLBGetDataEvent OnData;
  TLBFindDataEvent OnDataFind;

 protected:
  virtual String DoGetData(int Index);
  virtual int DoFindData(const String& Data);
  // Selection changed by the user (LBN_SELCHANGE), before Click.
  virtual void Changed() {}
  // The focused item of an owner-drawn list gets the focus rectangle.
  virtual bool NeedDrawFocusRect() { return !OnDrawItem; }
  void CNCommand(TMessage& Message);
  void CNDrawItem(TMessage& Message);
  void CNMeasureItem(TMessage& Message);

 private:
  friend class TListBoxStrings;
  std::unique_ptr<TListBoxStrings> items_;
  std::unique_ptr<TControlCanvas> canvas_;
  TListBoxStyle style_ = lbStandard;
  bool sorted_ = false;
  bool integralHeight_ = false;
  TBorderStyle borderStyle_ = bsSingle;
  int itemHeight_ = 16;
  int itemIndex_ = -1;  // kept while there is no window
  int topIndex_ = 0;
  int scrollWidth_ = 0;
  int virtualCount_ = 0;  // kept while there is no window
  bool multiSelect_ = false;
  bool extendedSelect_ = true;
};

class TListBox : public TCustomListBox {
  QD_CLASS(TListBox, TCustomListBox)

 public:
  using TCustomListBox::TCustomListBox;
};

}  // namespace qd
