// The inner text edit of the text editor: the system EDIT window that hands keys, mouse,
// focus and clipboard to its container, and its helper that implements the inner-edit
// interfaces.
#include <algorithm>

#include "platform/base/strings.h"
#include "platform/os/user.h"
#include "platform/os/user_edit.h"
#include "ui/controls/cxControlsWindowUtils.h"
#include "ui/core/dxUxTheme.h"
#include "ui/editors/cxTextEdit.h"
#include "ui/graphics/cxGraphicsText.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxCustomInnerTextEditHelper)
QD_IMPLEMENT_CLASS(TcxCustomInnerTextEdit)

// --- State of an inner edit around a key ------------------------------------------------------

void SaveTextEditState(IcxInnerTextEdit* AEdit, bool ASaveText, TcxTextEditState& AState) {
  AState.TextSaved = ASaveText;
  AState.Text = ASaveText ? VarToStr(AEdit->GetEditValue()) : String();
  AState.SelLength = AEdit->GetSelLength();
  AState.SelStart = AEdit->GetSelStart();
}

bool CheckTextEditState(IcxInnerTextEdit* AEdit, const TcxTextEditState& AState) {
  if (!AEdit->GetControl()->HandleAllocated()) return true;
  if (AEdit->GetSelStart() != AState.SelStart || AEdit->GetSelLength() != AState.SelLength) return true;
  return AState.TextSaved && !SameText(AState.Text, VarToStr(AEdit->GetEditValue()));
}

// --- TcxCustomInnerTextEditHelper -----------------------------------------------------------------

TcxCustomInnerTextEditHelper::TcxCustomInnerTextEditHelper(TcxCustomInnerTextEdit* AEdit)
    : TcxInterfacedPersistent(nullptr), FEdit(AEdit) {}

TWinControl* TcxCustomInnerTextEditHelper::GetControl() {
  return FEdit;
}

TcxContainer* TcxCustomInnerTextEditHelper::GetControlContainer() {
  return FEdit->Container();
}

LRESULT TcxCustomInnerTextEditHelper::CallDefWndProc(UINT AMsg, WPARAM WParam, LPARAM LParam) {
  WNDPROC proc = FEdit->DefWndProc() ? FEdit->DefWndProc() : &DefWindowProcW;
  return CallWindowProcW(proc, FEdit->Handle(), AMsg, WParam, LParam);
}

Variant TcxCustomInnerTextEditHelper::GetEditValue() {
  return Variant(FEdit->Text());
}

TNotifyEvent TcxCustomInnerTextEditHelper::GetOnChange() {
  return FEdit->OnChange;
}

void TcxCustomInnerTextEditHelper::SetOnChange(const TNotifyEvent& Value) {
  FEdit->OnChange = Value;
}

bool TcxCustomInnerTextEditHelper::GetReadOnly() {
  return FEdit->ReadOnly();
}

void TcxCustomInnerTextEditHelper::SetReadOnly(bool Value) {
  FEdit->SetReadOnly(Value);
}

void TcxCustomInnerTextEditHelper::LockBounds(bool ALock) {
  if (ALock)
    ++FEdit->FLockBoundsCount;
  else if (FEdit->FLockBoundsCount > 0)
    --FEdit->FLockBoundsCount;
}

void TcxCustomInnerTextEditHelper::SafelySetFocus() {
  const bool autoSelect = FEdit->AutoSelect();
  FEdit->SetAutoSelect(false);
  try {
    FEdit->SetFocus();
  } catch (...) {
    FEdit->SetAutoSelect(autoSelect);
    throw;
  }
  FEdit->SetAutoSelect(autoSelect);
}

void TcxCustomInnerTextEditHelper::SetEditValue(const Variant& Value) {
  const bool designing = FEdit->IsDesigning();
  String text = VarIsNull(Value) ? String() : VarToStr(Value);
  CheckCharsRegister(text, FEdit->CharCase());
  const String current = FEdit->Text();
  const bool changed = designing && text != current;
  bool keepSelection = false;
  if (!designing && FEdit->HandleAllocated())
    if (TcxCustomTextEdit* container = FEdit->Container())
      keepSelection = container->IsEditValidating() && container->ActiveProperties()->UseLookupData() &&
                      container->FindSelection() && SameText(text, current) && text != current;
  const int32_t selStart = keepSelection ? FEdit->SelStart() : 0;
  const int32_t selLength = keepSelection ? FEdit->SelLength() : 0;
  FEdit->SetText(text);
  if (keepSelection) {
    FEdit->SetSelStart(selStart);
    FEdit->SetSelLength(selLength);
  }
  if (changed && FEdit->OnChange) FEdit->OnChange(FEdit);
}

void TcxCustomInnerTextEditHelper::SetParent(TWinControl* Value) {
  FEdit->SetParent(Value);
}

void TcxCustomInnerTextEditHelper::ClearSelection() {
  FEdit->ClearSelection();
}

void TcxCustomInnerTextEditHelper::CopyToClipboard() {
  FEdit->CopyToClipboard();
}

TAlignment TcxCustomInnerTextEditHelper::GetAlignment() {
  return FEdit->FAlignment;
}

void TcxCustomInnerTextEditHelper::SetAlignment(TAlignment Value) {
  FEdit->SetAlignment(Value);
}

bool TcxCustomInnerTextEditHelper::GetAutoSelect() {
  return FEdit->AutoSelect();
}

void TcxCustomInnerTextEditHelper::SetAutoSelect(bool Value) {
  FEdit->SetAutoSelect(Value);
}

TEditCharCase TcxCustomInnerTextEditHelper::GetCharCase() {
  return FEdit->CharCase();
}

void TcxCustomInnerTextEditHelper::SetCharCase(TEditCharCase Value) {
  FEdit->SetCharCase(Value);
}

TcxEditEchoMode TcxCustomInnerTextEditHelper::GetEchoMode() {
  return FEdit->EchoMode();
}

void TcxCustomInnerTextEditHelper::SetEchoMode(TcxEditEchoMode Value) {
  FEdit->SetEchoMode(Value);
}

int32_t TcxCustomInnerTextEditHelper::GetFirstVisibleCharIndex() {
  if (!FEdit->HandleAllocated()) return 0;
  return LOWORD(static_cast<uintptr_t>(SendMessageW(FEdit->Handle(), EM_CHARFROMPOS, 0, 0)));
}

bool TcxCustomInnerTextEditHelper::GetHideSelection() {
  return FEdit->HideSelection();
}

void TcxCustomInnerTextEditHelper::SetHideSelection(bool Value) {
  FEdit->SetHideSelection(Value);
}

Char TcxCustomInnerTextEditHelper::GetImeLastChar() {
  // The windows are Unicode: no double-byte input method sequences arrive.
  return 0;
}

TImeMode TcxCustomInnerTextEditHelper::GetImeMode() {
  return FEdit->ImeMode();
}

void TcxCustomInnerTextEditHelper::SetImeMode(TImeMode Value) {
  FEdit->SetImeMode(Value);
}

String TcxCustomInnerTextEditHelper::GetImeName() {
  return FEdit->ImeName();
}

void TcxCustomInnerTextEditHelper::SetImeName(const String& Value) {
  FEdit->SetImeName(Value);
}

bool TcxCustomInnerTextEditHelper::GetInternalUpdating() {
  return FEdit->InternalUpdating();
}

void TcxCustomInnerTextEditHelper::SetInternalUpdating(bool Value) {
  FEdit->SetInternalUpdating(Value);
}

int32_t TcxCustomInnerTextEditHelper::GetMaxLength() {
  return FEdit->MaxLength();
}

void TcxCustomInnerTextEditHelper::SetMaxLength(int32_t Value) {
  FEdit->SetMaxLength(Value);
}

bool TcxCustomInnerTextEditHelper::GetOEMConvert() {
  return FEdit->OEMConvert();
}

void TcxCustomInnerTextEditHelper::SetOEMConvert(bool Value) {
  FEdit->SetOEMConvert(Value);
}

TNotifyEvent TcxCustomInnerTextEditHelper::GetOnSelChange() {
  return FEdit->OnSelChange;
}

void TcxCustomInnerTextEditHelper::SetOnSelChange(const TNotifyEvent& Value) {
  FEdit->OnSelChange = Value;
}

Char TcxCustomInnerTextEditHelper::GetPasswordChar() {
  return FEdit->InnerPasswordChar();
}

void TcxCustomInnerTextEditHelper::SetPasswordChar(Char Value) {
  FEdit->SetInnerPasswordChar(Value);
}

int32_t TcxCustomInnerTextEditHelper::GetSelLength() {
  return FEdit->HandleAllocated() ? FEdit->SelLength() : FSelLength;
}

int32_t TcxCustomInnerTextEditHelper::GetSelStart() {
  return FEdit->HandleAllocated() ? FEdit->SelStart() : FSelStart;
}

String TcxCustomInnerTextEditHelper::GetSelText() {
  return FEdit->HandleAllocated() ? FEdit->SelText() : String();
}

bool TcxCustomInnerTextEditHelper::GetUseLeftAlignmentOnEditing() {
  return FEdit->UseLeftAlignmentOnEditing();
}

void TcxCustomInnerTextEditHelper::SetUseLeftAlignmentOnEditing(bool Value) {
  FEdit->SetUseLeftAlignmentOnEditing(Value);
}

void TcxCustomInnerTextEditHelper::SelectAll() {
  if (FEdit->HandleAllocated()) FEdit->SelectAll();
}

void TcxCustomInnerTextEditHelper::SetSelLength(int32_t Value) {
  if (FEdit->HandleAllocated()) FEdit->SetSelLength(Value);
}

void TcxCustomInnerTextEditHelper::SetSelStart(int32_t Value) {
  if (FEdit->HandleAllocated()) FEdit->SetSelStart(Value);
}

void TcxCustomInnerTextEditHelper::SetSelText(const String& Value) {
  FEdit->SetSelText(Value);
}

String TcxCustomInnerTextEditHelper::GetTextHint() {
  return FEdit->TextHint();
}

void TcxCustomInnerTextEditHelper::SetTextHint(const String& Value) {
  FEdit->SetTextHint(Value);
}

bool TcxCustomInnerTextEditHelper::GetIsInplace() {
  TcxCustomTextEdit* container = FEdit->Container();
  return container && container->IsInplace();
}

// --- TcxCustomInnerTextEdit -------------------------------------------------------------------------

TcxCustomInnerTextEdit::TcxCustomInnerTextEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  FIsCreating = true;
  SetControlStyle(ControlStyle() + TControlStyle{csDoubleClicks});
  SetParentColor(true);
  SetParentFont(false);
  FInternalUpdating = false;
  FEchoMode = eemNormal;
  FIsCreating = false;
  FUseLeftAlignmentOnEditing = true;
}

TcxCustomInnerTextEdit::~TcxCustomInnerTextEdit() = default;

void TcxCustomInnerTextEdit::AfterConstruction() {
  TCustomEdit::AfterConstruction();
  if (!FHelper) FHelper = CreateHelper();
}

std::unique_ptr<TcxCustomInnerTextEditHelper> TcxCustomInnerTextEdit::CreateHelper() {
  return std::make_unique<TcxCustomInnerTextEditHelper>(this);
}

IcxCustomInnerEdit* TcxCustomInnerTextEdit::GetHelper() {
  if (!FHelper) FHelper = CreateHelper();
  return FHelper.get();
}

TcxCustomTextEdit* TcxCustomInnerTextEdit::Container() const {
  return dynamic_cast<TcxCustomTextEdit*>(Owner());
}

TAlignment TcxCustomInnerTextEdit::GetBasedAlignment() {
  TcxCustomTextEdit* container = Container();
  return container ? container->ActiveProperties()->Alignment()->Horz() : taLeftJustify;
}

TAlignment TcxCustomInnerTextEdit::GetAlignment() {
  if (!FUseLeftAlignmentOnEditing || IsDesigning()) return GetBasedAlignment();
  return taLeftJustify;
}

TAlignment TcxCustomInnerTextEdit::GetRealAlignment() {
  TAlignment result = GetAlignment();
  if (UseRightToLeftAlignment() && result != taCenter)
    result = result == taLeftJustify ? taRightJustify : taLeftJustify;
  return result;
}

void TcxCustomInnerTextEdit::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  if (!FUseLeftAlignmentOnEditing) RecreateWnd();
}

void TcxCustomInnerTextEdit::SetUseLeftAlignmentOnEditing(bool Value) {
  if (FUseLeftAlignmentOnEditing == Value) return;
  FUseLeftAlignmentOnEditing = Value;
  if (FAlignment != taLeftJustify) RecreateWnd();
}

void TcxCustomInnerTextEdit::SetEchoMode(TcxEditEchoMode Value) {
  if (FEchoMode == Value) return;
  FEchoMode = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TcxCustomInnerTextEdit::SetInnerPasswordChar(Char Value) {
  if (FPasswordChar == Value) return;
  FPasswordChar = Value;
  if (FEchoMode == eemPassword && HandleAllocated()) cxRecreateControlWnd(this);
}

void TcxCustomInnerTextEdit::SetOEMConvert(bool Value) {
  if (FOEMConvert == Value) return;
  FOEMConvert = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TcxCustomInnerTextEdit::AdjustMargins() {
  if (HandleAllocated())
    SendMessageW(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, static_cast<LPARAM>(1 << 16));
}

void TcxCustomInnerTextEdit::MouseLeave(TControl*) {
  if (TcxCustomTextEdit* container = Container()) container->ShortRefreshContainer(false);
}

void TcxCustomInnerTextEdit::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  static constexpr DWORD kAlignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  Params.Style &= ~(ES_LEFT | ES_CENTER | ES_RIGHT);
  Params.Style |= kAlignments[GetRealAlignment()];
  Params.Style &= ~(WS_BORDER | WS_DLGFRAME | WS_THICKFRAME);
  Params.ExStyle &= ~WS_EX_CLIENTEDGE;
  Params.Style |= ES_AUTOHSCROLL;
  TcxCustomTextEdit* container = Container();
  if (container && container->ActiveProperties()->EchoMode() == eemPassword) Params.Style |= ES_PASSWORD;
  if (FOEMConvert) Params.Style |= ES_OEMCONVERT;
}

void TcxCustomInnerTextEdit::CreateWindowHandle(const TCreateParams& Params) {
  TCreateParams params = Params;
  const String text = params.Caption;
  params.Caption.clear();
  TCustomEdit::CreateWindowHandle(params);
  if (HandleAllocated() && !text.empty())
    FHelper->CallDefWndProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TcxCustomInnerTextEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  AdjustMargins();
}

void TcxCustomInnerTextEdit::CreateHandle() {
  TcxCustomTextEdit* container = Container();
  if (container) container->ClearSavedChildControlRegions();
  TCustomEdit::CreateHandle();
  if (!container || !HandleAllocated() || FEchoMode != eemPassword) return;
  Char passwordChar = container->ActiveProperties()->PasswordChar();
  if (passwordChar == 0 &&
      (!dxUxTheme::IsThemeActive() || !container->IsNativeStyle() ||
       (container->ActiveProperties()->Alignment()->Horz() != taLeftJustify && FUseLeftAlignmentOnEditing)))
    passwordChar = u'*';
  if (passwordChar != 0) SendMessageW(Handle(), EM_SETPASSWORDCHAR, passwordChar, 0);
}

void TcxCustomInnerTextEdit::DestroyWnd() {
  dxForceProcessBufferedPaintMessages(this);
  TCustomEdit::DestroyWnd();
}

bool TcxCustomInnerTextEdit::CanFocus() {
  TcxCustomTextEdit* container = Container();
  return container ? container->CanFocus() : TCustomEdit::CanFocus();
}

void TcxCustomInnerTextEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FIsCreating || FLockBoundsCount > 0) return;
  TcxCustomTextEdit* container = Container();
  if (container) container->LockAlignControls(true);
  try {
    TCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
  } catch (...) {
    if (container) container->LockAlignControls(false);
    throw;
  }
  if (container) container->LockAlignControls(false);
}

// --- Keys -------------------------------------------------------------------------------------------

void TcxCustomInnerTextEdit::KeyDown(WORD& Key, TShiftState Shift) {
  FInternalUpdating = false;
  if (TcxCustomTextEdit* container = Container()) {
    container->KeyDown(Key, Shift);
    if (Key == 0) FInternalUpdating = true;
  }
}

void TcxCustomInnerTextEdit::KeyUp(WORD& Key, TShiftState Shift) {
  FInternalUpdating = false;
  if (Key == VK_TAB) Key = 0;
  if (TcxCustomTextEdit* container = Container()) {
    container->KeyUp(Key, Shift);
    if (Key == 0) FInternalUpdating = true;
  }
}

void TcxCustomInnerTextEdit::KeyPress(Char& Key) {
  FInternalUpdating = false;
  if (Key == u'\t') Key = 0;
  TcxCustomTextEdit* container = Container();
  if (container && Key != 0) {
    container->KeyPress(Key);
    if (Key == u'\r' || Key == 0x1B) {
      if (container->IsInplace() || container->IsPopupWindowJustClosed()) {
        container->SetIsPopupWindowJustClosed(false);
        Key = 0;
      }
    }
    // Without the beep the system control would give for Enter in a single-line edit.
    if ((Key == u'\n' || Key == u'\r') && !container->BeepOnEnter()) Key = 0;
  }
  if (Key == 0) FInternalUpdating = true;
}

void TcxCustomInnerTextEdit::WMKeyDown(TMessage& Message) {
  IcxInnerTextEdit* helper = Helper();
  TcxTextEditState state;
  SaveTextEditState(helper, true, state);
  FInternalUpdating = false;
  TCustomEdit::WndProc(Message);
  TcxCustomTextEdit* container = Container();
  WORD key = Message.CharCode();
  if (container && key != 0 && !FInternalUpdating && !CheckTextEditState(helper, state))
    container->DoAfterKeyDown(key, KeyDataToShiftState(Message.KeyData()));
}

void TcxCustomInnerTextEdit::WMChar(TMessage& Message) {
  TcxCustomTextEdit* container = Container();
  const bool saveModified = container && Message.CharCode() != 1;
  IcxInnerTextEdit* helper = Helper();
  TcxTextEditState state;
  SaveTextEditState(helper, true, state);
  if (saveModified) container->SaveModified();
  FInternalUpdating = false;
  try {
    TCustomEdit::WndProc(Message);
  } catch (...) {
    if (saveModified) container->RestoreModified();
    throw;
  }
  const bool changed = CheckTextEditState(helper, state);
  if (saveModified) {
    container->RestoreModified();
    // A character that changed the text leaves the editor modified: restoring the flags
    // saved before it would lose the user's edit at validation.
    if (state.Text != VarToStr(helper->GetEditValue())) container->SetModifiedAfterEnter(true);
  }
  if (!container) return;
  container->FLookupDataTextChangedLocked = false;
  if (!FInternalUpdating && changed) container->SetFindSelection(false);
}

void TcxCustomInnerTextEdit::WMGetDlgCode(TMessage& Message) {
  TCustomEdit::WndProc(Message);
  Message.Result |= DLGC_WANTCHARS;
  TcxCustomTextEdit* container = Container();
  if (!container) return;
  if ((container->TabsNeeded() || container->ActiveProperties()->InnerEditNeedsTabs()) &&
      GetKeyState(VK_CONTROL) >= 0)
    Message.Result |= DLGC_WANTTAB;
  if (container->IsInplace() || container->HasPopupWindow() ||
      (container->ModifiedAfterEnter() && GetKeyState(VK_ESCAPE) < 0))
    Message.Result |= DLGC_WANTALLKEYS;
}

// --- Mouse, focus, drag --------------------------------------------------------------------------

void TcxCustomInnerTextEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomEdit::MouseDown(Button, Shift, X, Y);
  if (TcxCustomTextEdit* container = Container()) container->MouseDown(Button, Shift, X + Left(), Y + Top());
}

void TcxCustomInnerTextEdit::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomEdit::MouseMove(Shift, X, Y);
  if (TcxCustomTextEdit* container = Container()) container->MouseMove(Shift, X + Left(), Y + Top());
}

void TcxCustomInnerTextEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomEdit::MouseUp(Button, Shift, X, Y);
  if (TcxCustomTextEdit* container = Container()) container->MouseUp(Button, Shift, X + Left(), Y + Top());
}

void TcxCustomInnerTextEdit::Click() {
  TCustomEdit::Click();
  if (TcxCustomTextEdit* container = Container()) container->Click();
}

void TcxCustomInnerTextEdit::DblClick() {
  TCustomEdit::DblClick();
  if (TcxCustomTextEdit* container = Container()) container->DblClick();
}

void TcxCustomInnerTextEdit::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  if (TcxCustomTextEdit* container = Container())
    container->DragOver(Source, X + Left(), Y + Top(), State, Accept);
}

void TcxCustomInnerTextEdit::DragDrop(TObject* Source, int X, int Y) {
  if (TcxCustomTextEdit* container = Container()) container->DragDrop(Source, X + Left(), Y + Top());
}

// --- Messages ----------------------------------------------------------------------------------------

void TcxCustomInnerTextEdit::WndProc(TMessage& Message) {
  TcxCustomTextEdit* container = Container();
  if (container && container->InnerControlMenuHandler(Message)) return;
  if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && container &&
      container->DragMode() == dmAutomatic && !container->ComponentState().Contains(csDesigning)) {
    container->BeginDrag(false);
    return;
  }
  switch (Message.Msg) {
    case WM_KEYDOWN:
      WMKeyDown(Message);
      return;
    case WM_CHAR:
      WMChar(Message);
      return;
    case WM_GETDLGCODE:
      WMGetDlgCode(Message);
      return;
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_NCPAINT:
      Message.Result = 0;
      return;
    case WM_UNDO:
      TCustomEdit::WndProc(Message);
      if (container) container->UndoPerformed();
      return;
    case WM_CLEAR:
      if (!ReadOnly() && container) {
        container->BeginUserAction();
        try {
          container->ClearSelection();
        } catch (...) {
          container->EndUserAction();
          throw;
        }
        container->EndUserAction();
      }
      return;
    case EM_REPLACESEL:
      if (!container || container->DoEditing()) TCustomEdit::WndProc(Message);
      return;
    case EM_SETSEL:
      TCustomEdit::WndProc(Message);
      if (OnSelChange) OnSelChange(this);
      return;
    case WM_SETFOCUS:
      TCustomEdit::WndProc(Message);
      if (container && !ComponentState().Contains(csDestroying) &&
          (!container->HandleAllocated() || reinterpret_cast<HWND>(Message.WParam) != container->Handle()))
        container->FocusChanged();
      return;
    case WM_KILLFOCUS:
      TCustomEdit::WndProc(Message);
      if (container && !ComponentState().Contains(csDestroying)) container->FocusChanged();
      return;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      WMPaint(Message);
      return;
    case WM_SIZE:
    case WM_SETFONT:
      TCustomEdit::WndProc(Message);
      AdjustMargins();
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
      TCustomEdit::WndProc(Message);
      auto* control = reinterpret_cast<TControl*>(Message.LParam);
      if (Message.Msg == CM_MOUSEENTER)
        MouseEnter(control ? control : this);
      else
        MouseLeave(control ? control : this);
      return;
    }
    default:
      break;
  }
  TCustomEdit::WndProc(Message);
}

void TcxCustomInnerTextEdit::DefaultHandler(TMessage& Message) {
  if (TcxCustomTextEdit* container = Container())
    if (container->InnerControlDefaultHandler(Message)) return;
  TCustomEdit::DefaultHandler(Message);
}

// --- Painting while unfocused ----------------------------------------------------------------------

bool TcxCustomInnerTextEdit::NeedsOwnPainting() {
  return FUseLeftAlignmentOnEditing && GetBasedAlignment() != taLeftJustify && !Focused();
}

void TcxCustomInnerTextEdit::WMPaint(TMessage& Message) {
  if (!NeedsOwnPainting()) {
    TCustomEdit::WndProc(Message);
    return;
  }
  HDC dc = Message.DC();
  if (dc) {
    InternalPaint(dc);
  } else {
    PAINTSTRUCT ps;
    dc = BeginPaint(Handle(), &ps);
    InternalPaint(dc);
    EndPaint(Handle(), &ps);
  }
  Message.Result = 0;
}

String TcxCustomInnerTextEdit::GetDrawText() {
  String text = Text();
  if (FEchoMode != eemPassword) return text;
  TcxCustomTextEdit* container = Container();
  const bool nativeStyle = container && container->IsNativeStyle();
  return String(text.size(), GetWindowsPasswordChar(nativeStyle, FPasswordChar));
}

void TcxCustomInnerTextEdit::InternalPaint(HDC DC) {
  const LRESULT margins = SendMessageW(Handle(), EM_GETMARGINS, 0, 0);
  const int32_t leftMargin = LOWORD(static_cast<uintptr_t>(margins));
  const int32_t rightMargin = HIWORD(static_cast<uintptr_t>(margins));
  const String text = GetDrawText();
  RECT client;
  ::qd::GetClientRect(Handle(), &client);
  TRect r = client;
  const int32_t textWidth = cxTextSize(Font(), text).cx;
  const int32_t clientWidth = r.Width();
  TAlignment alignment = GetBasedAlignment();
  if (UseRightToLeftAlignment() && alignment != taCenter)
    alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
  switch (alignment) {
    case taLeftJustify:
      r.Left = leftMargin;
      break;
    case taRightJustify:
      r.Left = clientWidth + leftMargin - textWidth - rightMargin;
      break;
    case taCenter:
      r.Left = (clientWidth - leftMargin - rightMargin - textWidth) / 2 + leftMargin;
      break;
  }
  HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
  FillRect(DC, &client, brush);
  DeleteObject(brush);
  HGDIOBJ oldFont = SelectObject(DC, Font()->Handle());
  const int oldMode = SetBkMode(DC, TRANSPARENT);
  const COLORREF oldColor = ::qd::SetTextColor(DC, ColorToRGB(Font()->Color()));
  cxDrawText(DC, text, r, 0);
  ::qd::SetTextColor(DC, oldColor);
  SetBkMode(DC, oldMode);
  SelectObject(DC, oldFont);
}

int32_t TcxCustomInnerTextEdit::GetCaretCharIndex() {
  if (!HandleAllocated()) return 0;
  const String text = Text();
  const int32_t n = static_cast<int32_t>(text.size());
  if (n == 0) return 0;
  POINT caret{};
  GetCaretPos(&caret);
  auto xOf = [&](int32_t AIndex) {
    return static_cast<int16_t>(
        LOWORD(static_cast<uintptr_t>(SendMessageW(Handle(), EM_POSFROMCHAR, AIndex, 0))));
  };
  if (xOf(n - 1) < caret.X) return n;
  int32_t lo = 0;
  int32_t hi = n - 1;
  while (lo < hi) {
    const int32_t mid = (lo + hi) / 2;
    const int32_t x = xOf(mid);
    if (x == caret.X) return mid;
    if (x < caret.X)
      lo = mid + 1;
    else
      hi = mid;
  }
  return xOf(lo) == caret.X ? lo : hi;
}

}  // namespace qd
