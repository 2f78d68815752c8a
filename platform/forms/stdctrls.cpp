#include "platform/forms/stdctrls.h"

#include <algorithm>

#include "platform/base/strings.h"
#include "platform/forms/forms.h"
#include "platform/forms/menus.h"

namespace qd {

QD_IMPLEMENT_CLASS(TCustomLabel)
QD_IMPLEMENT_CLASS(TLabel)
QD_IMPLEMENT_CLASS(TButton)
QD_IMPLEMENT_CLASS(TMemoStrings)
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

// ---- TMemo -------------------------------------------------------------------------------------------

void TMemoStrings::Changed() {
  inherited::Changed();
  if (UpdateCount() == 0 && memo_) memo_->LinesChanged();
}

TMemo::TMemo(TComponent* AOwner) : TCustomControl(AOwner), lines_(std::make_unique<TMemoStrings>(this)) {
  controlStyle_ = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csOpaque};
  DoSetBounds(0, 0, 185, 89);
  SetTabStop(true);
  color_ = clWindow;
  parentColor_ = false;
  Brush()->SetColor(clWindow);
}

TMemo::~TMemo() = default;

void TMemo::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Alignment", &TMemo::Alignment, &TMemo::SetAlignment, TypeInfoTAlignment()).Default(taLeftJustify);
  r.Prop("BorderStyle", &TMemo::BorderStyle, &TMemo::SetBorderStyle, TypeInfoTFormBorderStyle())
      .Default(bsSingle);
  r.Prop("CharCase", &TMemo::CharCase, &TMemo::SetCharCase, TypeInfoTEditCharCase()).Default(ecNormal);
  r.Prop("Lines", &TMemo::Lines, &TMemo::SetLines);
  r.Prop("MaxLength", &TMemo::MaxLength, &TMemo::SetMaxLength).Default(0);
  r.Prop("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly).Default(false);
  r.Prop("ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars, TypeInfoTScrollStyle()).Default(ssNone);
  r.Prop("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns).Default(true);
  r.Prop("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs).Default(false);
  r.Prop("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap).Default(true);
  r.Event("OnChange", &TMemo::OnChange);
}

String TMemo::Text() const {
  String r;
  for (int i = 0; i < lines_->Count(); ++i) {
    if (i) r += u"\r\n";
    r += lines_->Get(i);
  }
  return r;
}

void TMemo::SetText(const String& Value) {
  lines_->SetText(Value);
}

void TMemo::LinesChanged() {
  Invalidate();
  if (!ComponentState().Contains(csLoading) && OnChange) OnChange(this);
}

void TMemo::SetScrollBars(TScrollStyle Value) {
  if (scrollBars_ == Value) return;
  scrollBars_ = Value;
  Invalidate();
}

void TMemo::SetWordWrap(bool Value) {
  if (wordWrap_ == Value) return;
  wordWrap_ = Value;
  Invalidate();
}

void TMemo::SetAlignment(TAlignment Value) {
  if (alignment_ == Value) return;
  alignment_ = Value;
  Invalidate();
}

void TMemo::SetBorderStyle(TBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  Invalidate();
}

void TMemo::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(color_);
  c->FillRect(r);
  if (borderStyle_ != bsNone) {
    Frame(c, r, static_cast<TColor>(0x7A7A7A));
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  }
  TRect text = Rect(r.Left + 2, r.Top + 1, r.Right - 2, r.Bottom - 1);
  c->Brush()->SetStyle(bsClear);
  c->SetFont(Font());
  if (!enabled_) c->Font()->SetColor(clGrayText);
  const UINT flags =
      DT_NOPREFIX | DT_EXPANDTABS | AlignmentFlags(alignment_) | (wordWrap_ ? DT_WORDBREAK : 0);
  SaveDC(c->Handle());
  IntersectClipRect(c->Handle(), text.Left, text.Top, text.Right, text.Bottom);
  int y = text.Top;
  for (int i = 0; i < lines_->Count() && y < text.Bottom; ++i) {
    String line = lines_->Get(i);
    if (line.empty()) line = u" ";
    TRect lr = Rect(text.Left, y, text.Right, text.Bottom);
    const int h = DrawTextW(c->Handle(), line.c_str(), static_cast<int>(line.size()), &lr, flags);
    y += std::max(h, 1);
  }
  RestoreDC(c->Handle(), -1);
}

void TMemo::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (wantReturns_ ? DLGC_WANTALLKEYS : 0) |
                       (wantTabs_ ? DLGC_WANTTAB : 0);
      return;
    case WM_LBUTTONDOWN:
      if (CanFocus() && !Focused()) SetFocus();
      inherited::Dispatch(Message);
      return;
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
      inherited::Dispatch(Message);
      Invalidate();
      return;
    default:
      inherited::Dispatch(Message);
  }
}

}  // namespace qd
