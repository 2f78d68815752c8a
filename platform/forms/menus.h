#pragma once
// Menu items and popup menus, with short cuts. A popup menu shows itself in a window of its
// own and runs its own modal loop (keyboard: arrows, Enter, Escape, accelerator letters;
// mouse: hover and click; a click elsewhere closes it).
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/forms/controls.h"
#include "platform/forms/graphics.h"

namespace qd {

using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(WORD Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift);
// "Ctrl+Shift+A", "F5", "Del" ...; "" for none.
String ShortCutToText(TShortCut ShortCut);
// 0 when the text names no short cut.
TShortCut TextToShortCut(const String& Text);
// The accelerator letter of a caption ("&Open" -> 'O'), 0 when none.
Char GetHotkey(const String& Text);
// The caption without accelerator marks ("&&" stays as "&").
String StripHotkey(const String& Text);

class TMenu;
class TCustomImageList;

class TMenuItem : public TComponent {
  QD_CLASS(TMenuItem, TComponent)
  QD_PUBLISHED(TMenuItem)

 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const String& Caption() const { return caption_; }
  void SetCaption(const String& Value) { caption_ = Value; }
  bool Checked() const { return checked_; }
  void SetChecked(bool Value) { checked_ = Value; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value) { enabled_ = Value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool Value) { visible_ = Value; }
  bool Default() const { return default_; }
  void SetDefault(bool Value) { default_ = Value; }
  bool AutoCheck() const { return autoCheck_; }
  void SetAutoCheck(bool Value) { autoCheck_ = Value; }
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool Value) { radioItem_ = Value; }
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int Value) { groupIndex_ = Value; }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut Value) { shortCut_ = Value; }
  const String& Hint() const { return hint_; }
  void SetHint(const String& Value) { hint_ = Value; }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value) { imageIndex_ = Value; }
  // The item's own glyph, drawn in the left margin when the menu's images give none;
  // created on first read, nullptr frees it.
  TBitmap* Bitmap();
  void SetBitmap(TBitmap* Value);
  bool HasBitmap() const { return bitmap_ && !bitmap_->Empty(); }
  // A caption of "-" makes a separator line.
  bool IsLine() const { return caption_ == u"-"; }

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int Index) const;
  TMenuItem* operator[](int Index) const { return Items(Index); }
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  // Removes and frees the item.
  void Delete(int Index);
  // Removes the item without freeing it.
  void Remove(TMenuItem* Item);
  void Clear();
  int IndexOf(TMenuItem* Item) const;
  TMenuItem* Find(const String& ACaption) const;
  TMenuItem* Parent() const { return parent_; }
  TMenu* GetParentMenu() const;
  int MenuIndex() const { return parent_ ? parent_->IndexOf(const_cast<TMenuItem*>(this)) : -1; }
  void SetMenuIndex(int Value);

  virtual void Click();
  TNotifyEvent OnClick;

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

 private:
  friend class TMenu;
  String caption_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  bool default_ = false;
  bool autoCheck_ = false;
  bool radioItem_ = false;
  int groupIndex_ = 0;
  TShortCut shortCut_ = 0;
  String hint_;
  int imageIndex_ = -1;
  std::unique_ptr<TBitmap> bitmap_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;
  std::vector<TMenuItem*> items_;
};

class TMenu : public TComponent {
  QD_CLASS(TMenu, TComponent)
  QD_PUBLISHED(TMenu)

 public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;
  TMenuItem* Items() const { return items_; }
  // Reading direction of the menu: with ParentBiDiMode, that of the control owning the menu
  // (left to right without one). A right-to-left menu opens with its right edge at the point
  // it is shown at, where a left-to-right one has its left edge.
  TBiDiMode BiDiMode() const;
  // Also turns ParentBiDiMode off.
  void SetBiDiMode(TBiDiMode Value);
  bool ParentBiDiMode() const { return parentBiDiMode_; }
  void SetParentBiDiMode(bool Value) { parentBiDiMode_ = Value; }
  bool IsRightToLeft() const { return BiDiMode() != bdLeftToRight; }
  // The glyphs of the items' ImageIndex, drawn in the left margin (not owned).
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value);
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // A key message (WM_KEYDOWN data) that is the short cut of an enabled item clicks it.
  bool IsShortCut(TMessage& Message);
  TMenuItem* FindItemByShortCut(TShortCut ShortCut) const;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

 private:
  TMenuItem* items_;
  TCustomImageList* images_ = nullptr;
  TBiDiMode biDiMode_ = bdLeftToRight;
  bool parentBiDiMode_ = true;
};

enum TPopupAlignment : uint8_t { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
  QD_CLASS(TPopupMenu, TMenu)
  QD_PUBLISHED(TPopupMenu)

 public:
  explicit TPopupMenu(TComponent* AOwner);
  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool Value) { autoPopup_ = Value; }
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* Value);
  TPopupAlignment Alignment() const { return alignment_; }
  void SetAlignment(TPopupAlignment Value) { alignment_ = Value; }
  TPoint PopupPoint() const { return popupPoint_; }
  // Shows the menu at the screen point and returns once it is closed; the chosen item is
  // clicked after the menu window is gone.
  virtual void Popup(int X, int Y);
  void Notification(TComponent* AComponent, TOperation Operation) override;
  TNotifyEvent OnPopup;
  TNotifyEvent OnClose;

 private:
  bool autoPopup_ = true;
  TComponent* popupComponent_ = nullptr;
  TPopupAlignment alignment_ = paLeft;
  TPoint popupPoint_;
};

// The menu being tracked by a popup loop (nullptr when none), for tests and hooks.
HWND GetTrackedPopupMenuWindow();

}  // namespace qd
