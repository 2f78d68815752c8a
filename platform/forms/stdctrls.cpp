#include "platform/forms/stdctrls.h"

#include <algorithm>

#include "platform/base/strings.h"
#include "platform/forms/forms.h"
#include "platform/forms/menus.h"
#include "platform/os/user_edit.h"

namespace qd {

QD_IMPLEMENT_CLASS(TCustomLabel)
QD_IMPLEMENT_CLASS(TLabel)
QD_IMPLEMENT_CLASS(TButton)
QD_IMPLEMENT_CLASS(TCustomEdit)
QD_IMPLEMENT_CLASS(TEdit)
QD_IMPLEMENT_CLASS(TMemoStrings)
QD_IMPLEMENT_CLASS(TCustomMemo)
QD_IMPLEMENT_CLASS(TMemo)

namespace {

UINT AlignmentFlags(TAlignment a) {
  return a == taRightJustify ? DT_RIGHT : a == taCenter ? DT_CENTER : DT_LEFT;
}

const TTypeInfo* TypeInfoTScrollStyle() {
  static const TTypeInfo t =
      MakeEnumTypeInfo(u"TScrollStyle", {u"ssNone", u"ssHorizontal", u"ssVertical", u"ssBoth"});
  return &t;
}

const TTypeInfo* TypeInfoTEditCharCase() {
  static const TTypeInfo t =
      MakeEnumTypeInfo(u"TEditCharCase", {u"ecNormal", u"ecUpperCase", u"ecLowerCase"});
  return &t;
}

// Whether the character of a CM_DIALOGCHAR is the accelerator of a caption.
bool IsAccel(WPARAM Ch, const String& Caption) {
  const Char hot = GetHotkey(Caption);
  return hot != 0 && hot == UpCase(static_cast<Char>(Ch));
}

// A 1-pixel frame in a colour.
void Frame(TCanvas* c, const TRect& r, TColor color) {
  c->Brush()->SetColor(color);
  c->Brush()->SetStyle(bsSolid);
  c->FrameRect(r);
}

}  // namespace

// ---- TCustomLabel ---------------------------------------------------------------------------------

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  controlStyle_ += TControlStyle{csOpaque, csReplicatable};
  DoSetBounds(0, 0, 65, 17);
  autoSize_ = true;
}

void TCustomLabel::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment, TypeInfoTAlignment())
      .Default(taLeftJustify);
  r.Prop("AutoSize", &TControl::AutoSize, &TCustomLabel::SetAutoSize).Default(true);
  r.Prop("Caption", &TControl::Caption, &TControl::SetCaption);
  r.Prop("FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl);
  r.Prop("Layout", &TCustomLabel::Layout, &TCustomLabel::SetLayout, TypeInfoTTextLayout()).Default(tlTop);
  r.Prop("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar).Default(true);
  r.Prop("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent);
  r.Prop("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap).Default(false);
}

void TCustomLabel::DoDrawText(TRect& Rect, UINT Flags) {
  String text = GetLabelText();
  if ((Flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == u"&"))) text += u' ';
  if (!showAccelChar_) Flags |= DT_NOPREFIX;
  if (UseRightToLeftReading()) Flags |= DT_RTLREADING;
  TCanvas* c = Canvas();
  c->SetFont(Font());
  if (!enabled_) {
    TRect r = Rect;
    r.Left += 1;
    r.Top += 1;
    r.Right += 1;
    r.Bottom += 1;
    c->Font()->SetColor(clBtnHighlight);
    DrawTextW(c->Handle(), text.c_str(), static_cast<int>(text.size()), &r, Flags);
    c->Font()->SetColor(clBtnShadow);
    DrawTextW(c->Handle(), text.c_str(), static_cast<int>(text.size()), &Rect, Flags);
  } else {
    DrawTextW(c->Handle(), text.c_str(), static_cast<int>(text.size()), &Rect, Flags);
  }
}

void TCustomLabel::Paint() {
  TCanvas* c = Canvas();
  if (!Transparent()) {
    c->Brush()->SetColor(color_);
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(ClientRect());
  }
  c->Brush()->SetStyle(bsClear);
  TRect r = ClientRect();
  const UINT style = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | AlignmentFlags(alignment_);
  if (layout_ != tlTop) {
    TRect calc = r;
    DoDrawText(calc, style | DT_CALCRECT);
    const int dy = layout_ == tlBottom ? height_ - calc.Bottom : (height_ - calc.Bottom) / 2;
    r.Top += dy;
    r.Bottom += dy;
  }
  DoDrawText(r, style);
}

void TCustomLabel::AdjustBounds() {
  if (ComponentState().Contains(csReading) || ComponentState().Contains(csLoading) || !autoSize_) return;
  TRect r = ClientRect();
  HDC dc = GetDC(nullptr);
  Canvas()->SetHandle(dc);
  DoDrawText(r, DT_EXPANDTABS | DT_CALCRECT | (wordWrap_ ? DT_WORDBREAK : 0));
  Canvas()->SetHandle(nullptr);
  ReleaseDC(nullptr, dc);
  int x = left_;
  TAlignment a = alignment_;
  if (UseRightToLeftAlignment())
    a = a == taLeftJustify ? taRightJustify : a == taRightJustify ? taLeftJustify : a;
  if (a == taRightJustify) x += width_ - r.Right;
  SetBounds(x, top_, r.Right, r.Bottom);
}

void TCustomLabel::Loaded() {
  inherited::Loaded();
  AdjustBounds();
}

void TCustomLabel::SetAutoSize(bool Value) {
  if (autoSize_ == Value) return;
  autoSize_ = Value;
  AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (alignment_ == Value) return;
  alignment_ = Value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (layout_ == Value) return;
  layout_ = Value;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (wordWrap_ == Value) return;
  wordWrap_ = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (Transparent() == Value) return;
  if (Value)
    controlStyle_.Exclude(csOpaque);
  else
    controlStyle_.Include(csOpaque);
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (showAccelChar_ == Value) return;
  showAccelChar_ = Value;
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  if (focusControl_) focusControl_->RemoveFreeNotification(this);
  focusControl_ = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == focusControl_) focusControl_ = nullptr;
}

void TCustomLabel::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED:
      Invalidate();
      AdjustBounds();
      return;
    case CM_FONTCHANGED:
      inherited::Dispatch(Message);
      AdjustBounds();
      return;
    case CM_DIALOGCHAR:
      if (focusControl_ && enabled_ && showAccelChar_ && IsAccel(Message.WParam, GetText())) {
        if (focusControl_->CanFocus()) {
          focusControl_->SetFocus();
          Message.Result = 1;
        }
        return;
      }
      inherited::Dispatch(Message);
      return;
    default:
      inherited::Dispatch(Message);
  }
}

// ---- TButton ------------------------------------------------------------------------------------------

TButton::TButton(TComponent* AOwner) : TCustomControl(AOwner) {
  controlStyle_ = {csSetCaption, csDoubleClicks, csCaptureMouse, csClickEvents, csOpaque};
  DoSetBounds(0, 0, 75, 25);
  SetTabStop(true);
  color_ = clBtnFace;
  Brush()->SetColor(clBtnFace);
}

void TButton::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(false);
  r.Prop("Caption", &TControl::Caption, &TControl::SetCaption);
  r.Prop("Default", &TButton::Default, &TButton::SetDefault).Default(false);
  r.Prop("ModalResult", &TButton::ModalResult, &TButton::SetModalResult, TypeInfoTModalResult()).Default(0);
}

void TButton::SetDefault(bool Value) {
  default_ = Value;
  active_ = Value;
  Invalidate();
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
  inherited::Click();
}

void TButton::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  const bool pressed = (controlState_.Contains(csLButtonDown) && MouseInClient()) || spaceDown_;
  TColor face = !enabled_ ? static_cast<TColor>(0xF4F4F4)
                : pressed ? static_cast<TColor>(0xF7E4CC)
                          : static_cast<TColor>(0xE1E1E1);
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(face);
  c->FillRect(r);
  const bool emphasis = Focused() || active_;
  Frame(c, r,
        !enabled_  ? static_cast<TColor>(0xBFBFBF)
        : emphasis ? static_cast<TColor>(0xD77800)
                   : static_cast<TColor>(0xADADAD));
  if (emphasis && enabled_) {
    TRect inner = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    Frame(c, inner, static_cast<TColor>(0xD77800));
  }
  c->Brush()->SetStyle(bsClear);
  c->SetFont(Font());
  c->Font()->SetColor(enabled_ ? clBtnText : clGrayText);
  String text = GetText();
  DrawTextW(c->Handle(), text.c_str(), static_cast<int>(text.size()), &r,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result =
          (default_ || active_) ? DLGC_DEFPUSHBUTTON | DLGC_BUTTON : DLGC_UNDEFPUSHBUTTON | DLGC_BUTTON;
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (CanFocus() && !Focused()) SetFocus();
      inherited::Dispatch(Message);
      Invalidate();
      return;
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
      inherited::Dispatch(Message);
      Invalidate();
      return;
    case WM_KEYDOWN:
      if (Message.CharCode() == VK_SPACE) {
        spaceDown_ = true;
        Invalidate();
      }
      inherited::Dispatch(Message);
      return;
    case WM_KEYUP:
      if (Message.CharCode() == VK_SPACE && spaceDown_) {
        spaceDown_ = false;
        Invalidate();
        Click();
      }
      inherited::Dispatch(Message);
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      spaceDown_ = false;
      inherited::Dispatch(Message);
      Invalidate();
      return;
    case CM_FOCUSCHANGED: {
      auto* sender = reinterpret_cast<TControl*>(Message.LParam);
      active_ = dynamic_cast<TButton*>(sender) ? sender == this : default_;
      Invalidate();
      inherited::Dispatch(Message);
      return;
    }
    case CM_DIALOGKEY:
      if (((Message.CharCode() == VK_RETURN && active_) || (Message.CharCode() == VK_ESCAPE && cancel_)) &&
          KeyDataToShiftState(Message.KeyData()).Empty() && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
      }
      inherited::Dispatch(Message);
      return;
    case CM_DIALOGCHAR:
      if (IsAccel(Message.WParam, GetText()) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
      }
      inherited::Dispatch(Message);
      return;
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
      inherited::Dispatch(Message);
      Invalidate();
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      inherited::Dispatch(Message);
      Invalidate();
      return;
    default:
      inherited::Dispatch(Message);
  }
}

// ---- TCustomEdit ------------------------------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  controlStyle_ = {csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
  DoSetBounds(0, 0, 121, 21);
  SetTabStop(true);
  color_ = clWindow;
  parentColor_ = false;
  Brush()->SetColor(clWindow);
}

void TCustomEdit::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Alignment", &TCustomEdit::Alignment, &TCustomEdit::SetAlignment, TypeInfoTAlignment())
      .Default(taLeftJustify);
  r.Prop("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect).Default(true);
  r.Prop("BorderStyle", &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle, TypeInfoTFormBorderStyle())
      .Default(bsSingle);
  r.Prop("CharCase", &TCustomEdit::CharCase, &TCustomEdit::SetCharCase, TypeInfoTEditCharCase())
      .Default(ecNormal);
  r.Prop("HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection).Default(true);
  r.Prop("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength).Default(0);
  r.Prop("NumbersOnly", &TCustomEdit::NumbersOnly, &TCustomEdit::SetNumbersOnly).Default(false);
  r.Prop("PasswordChar", &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar).Default(0);
  r.Prop("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly).Default(false);
  r.Prop("Text", &TCustomEdit::Text, &TCustomEdit::SetText);
  r.Prop("TextHint", &TCustomEdit::TextHint, &TCustomEdit::SetTextHint);
  r.Event("OnChange", &TCustomEdit::OnChange);
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, u"EDIT");
  static constexpr DWORD kAlignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  static constexpr DWORD kCases[] = {0, ES_UPPERCASE, ES_LOWERCASE};
  Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL | kAlignments[alignment_] | kCases[charCase_];
  if (!hideSelection_) Params.Style |= ES_NOHIDESEL;
  if (readOnly_) Params.Style |= ES_READONLY;
  if (numbersOnly_) Params.Style |= ES_NUMBER;
  if (borderStyle_ == bsSingle) {
    if (Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomEdit::CreateWnd() {
  creating_ = true;
  try {
    inherited::CreateWnd();
  } catch (...) {
    creating_ = false;
    throw;
  }
  creating_ = false;
  SendMessageW(handle_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
  SendMessageW(handle_, EM_SETMODIFY, modified_, 0);
  if (passwordChar_) SendMessageW(handle_, EM_SETPASSWORDCHAR, passwordChar_, 0);
  if (!textHint_.empty())
    SendMessageW(handle_, EM_SETCUEBANNER, 0, reinterpret_cast<LPARAM>(textHint_.c_str()));
}

void TCustomEdit::DestroyWnd() {
  modified_ = SendMessageW(handle_, EM_GETMODIFY, 0, 0) != 0;
  inherited::DestroyWnd();
}

bool TCustomEdit::CanHaveHandle() const {
  if (handle_) return true;
  // Stored lines are read into the text; the window comes when the form is shown.
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csReading)) return false;
  for (const TControl* c = this; c; c = c->Parent()) {
    const auto* w = dynamic_cast<const TWinControl*>(c);
    if (w && (w->HandleAllocated() || w->ParentWindow())) return true;
    if (!c->Parent() && dynamic_cast<const TCustomForm*>(c)) return true;
  }
  return false;
}

void TCustomEdit::Change() {
  inherited::Changed();
  if (OnChange) OnChange(this);
}

void TCustomEdit::SetAlignment(TAlignment Value) {
  if (alignment_ == Value) return;
  alignment_ = Value;
  RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  RecreateWnd();
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  if (charCase_ == Value) return;
  charCase_ = Value;
  if (!handle_) {
    String t = GetText();
    if (Value == ecUpperCase) t = UpperCase(t);
    if (Value == ecLowerCase) t = LowerCase(t);
    TControl::SetText(t);
  }
  RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool Value) {
  if (hideSelection_ == Value) return;
  hideSelection_ = Value;
  RecreateWnd();
}

void TCustomEdit::SetMaxLength(int Value) {
  maxLength_ = std::max(0, Value);
  if (handle_) SendMessageW(handle_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::SetNumbersOnly(bool Value) {
  if (numbersOnly_ == Value) return;
  numbersOnly_ = Value;
  if (handle_) {
    const LONG st = GetWindowLongW(handle_, GWL_STYLE);
    SetWindowLongW(handle_, GWL_STYLE,
                   Value ? (st | static_cast<LONG>(ES_NUMBER)) : (st & ~static_cast<LONG>(ES_NUMBER)));
  }
}

void TCustomEdit::SetPasswordChar(Char Value) {
  if (passwordChar_ == Value) return;
  passwordChar_ = Value;
  if (handle_) {
    SendMessageW(handle_, EM_SETPASSWORDCHAR, Value, 0);
    Invalidate();
  }
}

void TCustomEdit::SetReadOnly(bool Value) {
  if (readOnly_ == Value) return;
  readOnly_ = Value;
  if (handle_) SendMessageW(handle_, EM_SETREADONLY, Value, 0);
}

void TCustomEdit::SetTextHint(const String& Value) {
  if (textHint_ == Value) return;
  textHint_ = Value;
  if (handle_) SendMessageW(handle_, EM_SETCUEBANNER, 0, reinterpret_cast<LPARAM>(textHint_.c_str()));
}

bool TCustomEdit::Modified() {
  if (handle_) return SendMessageW(handle_, EM_GETMODIFY, 0, 0) != 0;
  return modified_;
}

void TCustomEdit::SetModified(bool Value) {
  modified_ = Value;
  if (handle_) SendMessageW(handle_, EM_SETMODIFY, Value, 0);
}

int TCustomEdit::SelStart() {
  DWORD a = 0, b = 0;
  SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
  return static_cast<int>(a);
}

void TCustomEdit::SetSelStart(int Value) {
  SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(Value), Value);
}

int TCustomEdit::SelLength() {
  DWORD a = 0, b = 0;
  SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
  return static_cast<int>(b - a);
}

void TCustomEdit::SetSelLength(int Value) {
  const int start = SelStart();
  SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start + std::max(0, Value));
}

String TCustomEdit::SelText() {
  const int start = SelStart();
  const int length = SelLength();
  return GetText().substr(static_cast<size_t>(start), static_cast<size_t>(length));
}

void TCustomEdit::SetSelText(const String& Value) {
  SendMessageW(Handle(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(Value.c_str()));
}

bool TCustomEdit::CanUndo() {
  return handle_ && SendMessageW(handle_, EM_CANUNDO, 0, 0) != 0;
}

void TCustomEdit::Undo() {
  if (handle_) SendMessageW(handle_, WM_UNDO, 0, 0);
}

void TCustomEdit::ClearUndo() {
  if (handle_) SendMessageW(handle_, EM_EMPTYUNDOBUFFER, 0, 0);
}

void TCustomEdit::ClearSelection() {
  SendMessageW(Handle(), WM_CLEAR, 0, 0);
}

void TCustomEdit::CopyToClipboard() {
  SendMessageW(Handle(), WM_COPY, 0, 0);
}

void TCustomEdit::CutToClipboard() {
  SendMessageW(Handle(), WM_CUT, 0, 0);
}

void TCustomEdit::PasteFromClipboard() {
  SendMessageW(Handle(), WM_PASTE, 0, 0);
}

void TCustomEdit::SelectAll() {
  if (handle_) SendMessageW(handle_, EM_SETSEL, 0, -1);
}

void TCustomEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == EN_CHANGE && !creating_) Change();
      return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC: {
      auto dc = reinterpret_cast<HDC>(Message.WParam);
      SetTextColor(dc, ColorToRGB(enabled_ ? Font()->Color() : clGrayText));
      SetBkColor(dc, ColorToRGB(Brush()->Color()));
      Message.Result = reinterpret_cast<LRESULT>(Brush()->Handle());
      return;
    }
    case CM_ENTER:
      if (autoSelect_ && !(GetKeyState(VK_LBUTTON) < 0)) SelectAll();
      inherited::Dispatch(Message);
      return;
    case CM_COLORCHANGED:
    case CM_ENABLEDCHANGED:
      inherited::Dispatch(Message);
      Invalidate();
      return;
    default:
      inherited::Dispatch(Message);
  }
}

// ---- TMemoStrings -----------------------------------------------------------------------------------

namespace {

struct LineSpan {
  int start = 0;
  int length = 0;
  int next = 0;  // start of the next line (after the break)
};

// The lines of a text; a final line break adds no line.
std::vector<LineSpan> SplitLines(const String& t) {
  std::vector<LineSpan> out;
  const int n = static_cast<int>(t.size());
  int i = 0;
  while (i < n) {
    const int start = i;
    while (i < n && t[i] != u'\r' && t[i] != u'\n') ++i;
    const int length = i - start;
    if (i < n) i += (t[i] == u'\r' && i + 1 < n && t[i + 1] == u'\n') ? 2 : 1;
    out.push_back({start, length, i});
  }
  return out;
}

}  // namespace

String TMemoStrings::Get(int Index) const {
  const String t = memo_->GetText();
  const auto lines = SplitLines(t);
  if (Index < 0 || Index >= static_cast<int>(lines.size())) Error(u"List index out of bounds (%d)", Index);
  return t.substr(static_cast<size_t>(lines[Index].start), static_cast<size_t>(lines[Index].length));
}

int TMemoStrings::GetCount() const {
  return static_cast<int>(SplitLines(memo_->GetText()).size());
}

void TMemoStrings::Put(int Index, const String& S) {
  const auto lines = SplitLines(memo_->GetText());
  if (Index < 0 || Index >= static_cast<int>(lines.size())) Error(u"List index out of bounds (%d)", Index);
  memo_->ReplaceText(lines[Index].start, lines[Index].length, S);
}

void TMemoStrings::Insert(int Index, const String& S) {
  const String t = memo_->GetText();
  const auto lines = SplitLines(t);
  const int count = static_cast<int>(lines.size());
  if (Index < 0 || Index > count) Error(u"List index out of bounds (%d)", Index);
  if (Index < count) {
    memo_->ReplaceText(lines[Index].start, 0, S + u"\r\n");
  } else if (t.empty() || t.back() == u'\r' || t.back() == u'\n') {
    memo_->ReplaceText(static_cast<int>(t.size()), 0, S + u"\r\n");
  } else {
    memo_->ReplaceText(static_cast<int>(t.size()), 0, u"\r\n" + S);
  }
}

void TMemoStrings::Delete(int Index) {
  const auto lines = SplitLines(memo_->GetText());
  if (Index < 0 || Index >= static_cast<int>(lines.size())) Error(u"List index out of bounds (%d)", Index);
  memo_->ReplaceText(lines[Index].start, lines[Index].next - lines[Index].start, String());
}

void TMemoStrings::Clear() {
  memo_->SetLinesText(String());
}

String TMemoStrings::Text() const {
  return memo_->GetText();
}

void TMemoStrings::SetText(const String& Value) {
  memo_->SetLinesText(Value);
}

// ---- TCustomMemo ------------------------------------------------------------------------------------

TCustomMemo::TCustomMemo(TComponent* AOwner)
    : TCustomEdit(AOwner), lines_(std::make_unique<TMemoStrings>(this)) {
  DoSetBounds(0, 0, 185, 89);
  controlStyle_.Exclude(csFixedHeight);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Lines", &TCustomMemo::Lines, &TCustomMemo::SetLines);
  r.Prop("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars, TypeInfoTScrollStyle())
      .Default(ssNone);
  r.Prop("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns).Default(true);
  r.Prop("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs).Default(false);
  r.Prop("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap).Default(true);
}

void TCustomMemo::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  static constexpr DWORD kBars[] = {0, WS_HSCROLL, WS_VSCROLL, WS_HSCROLL | WS_VSCROLL};
  Params.Style |= ES_MULTILINE | kBars[scrollBars_];
  if (wordWrap_) Params.Style &= ~ES_AUTOHSCROLL;
  if (wantReturns_) Params.Style |= ES_WANTRETURN;
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
  if (scrollBars_ == Value) return;
  scrollBars_ = Value;
  RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool Value) {
  if (wordWrap_ == Value) return;
  wordWrap_ = Value;
  RecreateWnd();
}

void TCustomMemo::SetWantReturns(bool Value) {
  if (wantReturns_ == Value) return;
  wantReturns_ = Value;
  RecreateWnd();
}

TPoint TCustomMemo::CaretPos() {
  DWORD a = 0, b = 0;
  SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
  const auto line = static_cast<int>(SendMessageW(handle_, EM_LINEFROMCHAR, b, 0));
  const auto start = static_cast<int>(SendMessageW(handle_, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
  return TPoint{static_cast<int>(b) - start, line};
}

void TCustomMemo::SetCaretPos(TPoint Value) {
  const auto start = static_cast<int>(SendMessageW(Handle(), EM_LINEINDEX, static_cast<WPARAM>(Value.Y), 0));
  if (start < 0) return;
  SendMessageW(handle_, EM_SETSEL, static_cast<WPARAM>(start + Value.X), start + Value.X);
}

void TCustomMemo::SetLinesText(const String& Value) {
  if (CanHaveHandle()) HandleNeeded();
  SetText(Value);
}

void TCustomMemo::ReplaceText(int Start, int Length, const String& S) {
  if (CanHaveHandle()) {
    HandleNeeded();
    SendMessageW(handle_, EM_SETSEL, static_cast<WPARAM>(Start), Start + Length);
    SendMessageW(handle_, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(S.c_str()));
    return;
  }
  String t = GetText();
  t.replace(static_cast<size_t>(Start), static_cast<size_t>(Length), S);
  TControl::SetText(t);
}

void TCustomMemo::KeyPress(Char& Key) {
  inherited::KeyPress(Key);
  if ((Key == u'\r' && !wantReturns_) || (Key == u'\t' && !wantTabs_)) Key = 0;
}

void TCustomMemo::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      inherited::Dispatch(Message);
      if (wantTabs_)
        Message.Result |= DLGC_WANTTAB;
      else
        Message.Result &= ~DLGC_WANTTAB;
      if (!wantReturns_) Message.Result &= ~DLGC_WANTALLKEYS;
      return;
    default:
      inherited::Dispatch(Message);
  }
}

}  // namespace qd
