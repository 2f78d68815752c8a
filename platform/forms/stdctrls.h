#pragma once
// Standard controls drawn by the library itself: the label, the push button and a plain
// multi-line memo (lines drawn as text; the edit-control behaviour comes with the EDIT
// window class).
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
enum TEditCharCase : uint8_t { ecNormal, ecUpperCase, ecLowerCase };

class TMemo;

// The lines of a memo: a string list that repaints its memo when it changes.
class TMemoStrings : public TStringList {
  QD_CLASS(TMemoStrings, TStringList)

 public:
  explicit TMemoStrings(TMemo* Memo) : memo_(Memo) {}

 protected:
  void Changed() override;

 private:
  TMemo* memo_;
};

class TMemo : public TCustomControl {
  QD_CLASS(TMemo, TCustomControl)
  QD_PUBLISHED(TMemo)

 public:
  explicit TMemo(TComponent* AOwner);
  ~TMemo() override;
  void Dispatch(TMessage& Message) override;
  void Paint() override;

  TStrings* Lines() const { return lines_.get(); }
  void SetLines(TStrings* Value) { lines_->Assign(Value); }
  // The lines joined with CR LF (no line break after the last one).
  String Text() const;
  void SetText(const String& Value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value) { readOnly_ = Value; }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle Value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int Value) { maxLength_ = Value; }
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool Value) { wantReturns_ = Value; }
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool Value) { wantTabs_ = Value; }
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase Value) { charCase_ = Value; }
  void Clear() { lines_->Clear(); }

  TNotifyEvent OnChange;
  void LinesChanged();

 private:
  std::unique_ptr<TMemoStrings> lines_;
  bool readOnly_ = false;
  TScrollStyle scrollBars_ = ssNone;
  bool wordWrap_ = true;
  TAlignment alignment_ = taLeftJustify;
  TBorderStyle borderStyle_ = bsSingle;
  int maxLength_ = 0;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
  TEditCharCase charCase_ = ecNormal;
};

}  // namespace qd
#include "platform/forms/stdctrls_listbox.h"
