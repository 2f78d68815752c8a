#pragma once
// Standard controls: the label and the push button, drawn by the library itself, and the
// edit and memo controls over the system "EDIT" window class.
#include <memory>

#include "platform/forms/controls.h"

namespace qd {

class TCustomLabel : public TGraphicControl {
  QD_CLASS(TCustomLabel, TGraphicControl)
  QD_PUBLISHED(TCustomLabel)

 public:
  explicit TCustomLabel(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  void Paint() override;
  void Loaded() override;
  void SetAutoSize(bool Value) override;

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout Value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value);
  bool Transparent() const { return !controlStyle_.Contains(csOpaque); }
  void SetTransparent(bool Value);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool Value);
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* Value);
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Resizes an auto-sized label to its text.
  void AdjustBounds();
  // Draws (or with DT_CALCRECT measures) the caption with the label's font.
  virtual void DoDrawText(TRect& Rect, UINT Flags);
  virtual String GetLabelText() { return GetText(); }

 private:
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
  TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
  QD_CLASS(TLabel, TCustomLabel)

 public:
  using TCustomLabel::TCustomLabel;
};

// A push button that draws itself flat: Click sets the form's ModalResult; Default answers
// Enter and Cancel answers Escape anywhere on the form.
class TButton : public TCustomControl {
  QD_CLASS(TButton, TCustomControl)
  QD_PUBLISHED(TButton)

 public:
  explicit TButton(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  void Paint() override;
  void Click() override;

  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult Value) { modalResult_ = Value; }
  bool Default() const { return default_; }
  void SetDefault(bool Value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool Value) { cancel_ = Value; }
  // Whether Enter clicks this button now (the default button, or the focused button).
  bool Active() const { return active_; }

 private:
  TModalResult modalResult_ = mrNone;
  bool default_ = false;
  bool cancel_ = false;
  bool active_ = false;
  bool spaceDown_ = false;
};

enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
// What a scroll request asks for (the SB_ notification codes in this order).
enum TScrollCode : uint8_t {
  scLineUp,
  scLineDown,
  scPageUp,
  scPageDown,
  scPosition,
  scTrack,
  scTop,
  scBottom,
  scEndScroll
};
enum TEditCharCase : uint8_t { ecNormal, ecUpperCase, ecLowerCase };

// An edit control over the system "EDIT" window class. Text, selection, undo and the
// clipboard commands are the window's; without a window the text is kept by the control.
class TCustomEdit : public TWinControl {
  QD_CLASS(TCustomEdit, TWinControl)
  QD_PUBLISHED(TCustomEdit)

 public:
  explicit TCustomEdit(TComponent* AOwner);
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& Message) override;

  String Text() { return GetText(); }
  // Through the window's WM_SETTEXT: EN_CHANGE, then OnChange.
  void SetText(const String& Value) { TControl::SetText(Value); }

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool Value) { autoSelect_ = Value; }
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase Value);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool Value);
  // 0: no limit.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int Value);
  bool NumbersOnly() const { return numbersOnly_; }
  void SetNumbersOnly(bool Value);
  // #0: the text is shown as it is.
  Char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(Char Value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value);
  String TextHint() const { return textHint_; }
  void SetTextHint(const String& Value);
  bool Modified();
  void SetModified(bool Value);

  // The selection (the window is created when needed).
  int SelStart();
  void SetSelStart(int Value);
  int SelLength();
  void SetSelLength(int Value);
  String SelText();
  // Replaces the selection; the change cannot be undone.
  void SetSelText(const String& Value);

  bool CanUndo();
  void Undo();
  void ClearUndo();
  void Clear() { SetText(String()); }
  void ClearSelection();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void SelectAll();

  TNotifyEvent OnChange;

 protected:
  virtual void Change();
  // The window exists or can be made (the control has a parent window).
  bool CanHaveHandle() const;

  bool creating_ = false;

 private:
  TAlignment alignment_ = taLeftJustify;
  bool autoSelect_ = true;
  TBorderStyle borderStyle_ = bsSingle;
  TEditCharCase charCase_ = ecNormal;
  bool hideSelection_ = true;
  int maxLength_ = 0;
  bool numbersOnly_ = false;
  Char passwordChar_ = 0;
  bool readOnly_ = false;
  String textHint_;
  bool modified_ = false;
};

class TEdit : public TCustomEdit {
  QD_CLASS(TEdit, TCustomEdit)

 public:
  using TCustomEdit::TCustomEdit;
};

class TCustomMemo;

// The lines of a memo: a view of the memo's text split at CR LF, LF or CR (a final line
// break adds no line). Changes go to the window as a selection and a replacement, so they
// send EN_CHANGE. Adding to a text that ends with a line break inserts the line and CR LF
// at the end; otherwise CR LF and the line.
class TMemoStrings : public TStrings {
  QD_CLASS(TMemoStrings, TStrings)

 public:
  explicit TMemoStrings(TCustomMemo* Memo) : memo_(Memo) {}
  String Get(int Index) const override;
  int GetCount() const override;
  void Put(int Index, const String& S) override;
  void Insert(int Index, const String& S) override;
  void Delete(int Index) override;
  void Clear() override;
  String Text() const override;
  void SetText(const String& Value) override;

 private:
  TCustomMemo* memo_;
};

class TCustomMemo : public TCustomEdit {
  QD_CLASS(TCustomMemo, TCustomEdit)
  QD_PUBLISHED(TCustomMemo)

 public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  // Enter types no line break without WantReturns, Tab no tab without WantTabs.
  void KeyPress(Char& Key) override;

  TStrings* Lines() const { return lines_.get(); }
  void SetLines(TStrings* Value) { lines_->Assign(Value); }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle Value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value);
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool Value);
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool Value) { wantTabs_ = Value; }
  // Column (X) and line (Y) of the caret, lines as the window shows them.
  TPoint CaretPos();
  void SetCaretPos(TPoint Value);

  // Replaces the characters [Start, Start + Length) of the text (for the lines: the window
  // is made when it can be).
  void ReplaceText(int Start, int Length, const String& S);
  void SetLinesText(const String& Value);

 private:
  std::unique_ptr<TMemoStrings> lines_;
  TScrollStyle scrollBars_ = ssNone;
  bool wordWrap_ = true;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
};

class TMemo : public TCustomMemo {
  QD_CLASS(TMemo, TCustomMemo)

 public:
  using TCustomMemo::TCustomMemo;
};

}  // namespace qd
#include "platform/forms/stdctrls_listbox.h"
