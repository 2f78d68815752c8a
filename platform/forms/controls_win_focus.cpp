// TWinControl: focus, tab order and the keyboard (key events, dialog keys and characters).
#include <algorithm>

#include "platform/forms/controls.h"
#include "platform/forms/forms.h"
#include "platform/forms/menus.h"

namespace qd {

// ---- Focus and tab order ------------------------------------------------------------------------

bool TWinControl::CanFocus() {
  // The form itself need not be showing yet: a dialog names its active control first.
  TCustomForm* form = GetParentForm(this);
  if (!form) return false;
  for (TWinControl* c = this; c && c != form; c = c->parent_)
    if (!c->visible_ || !c->enabled_) return false;
  return true;
}

bool TWinControl::Focused() {
  return handle_ && GetFocus() == handle_;
}

void TWinControl::SetFocus() {
  if (TCustomForm* form = GetParentForm(this))
    form->FocusControl(this);
  else if (parentWindow_)
    ::qd::SetFocus(Handle());
  else
    throw EInvalidOperation(u"Control '" + Name() + u"' has no parent window");
}

void TWinControl::RemoveFocus(bool Removing) {
  if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, Removing);
}

void TWinControl::SetTabStop(bool Value) {
  if (tabStop_ == Value) return;
  tabStop_ = Value;
  if (handle_) {
    LONG style = GetWindowLongW(handle_, GWL_STYLE);
    style = Value ? (style | static_cast<LONG>(WS_TABSTOP)) : (style & ~static_cast<LONG>(WS_TABSTOP));
    SetWindowLongW(handle_, GWL_STYLE, style);
  }
  Perform(CM_TABSTOPCHANGED, 0, 0);
}

int TWinControl::TabOrder() {
  if (!parent_) return -1;
  auto& l = parent_->tabList_;
  auto it = std::find(l.begin(), l.end(), this);
  return it == l.end() ? -1 : static_cast<int>(it - l.begin());
}

void TWinControl::SetTabOrder(int Value) {
  if (controlState_.Contains(csReadingState))
    tabOrder_ = Value;
  else
    UpdateTabOrder(Value);
}

void TWinControl::UpdateTabOrder(int Value) {
  if (!parent_) return;
  auto& l = parent_->tabList_;
  auto it = std::find(l.begin(), l.end(), this);
  if (it == l.end()) return;
  l.erase(it);
  const int n = static_cast<int>(l.size());
  if (Value < 0 || Value > n) Value = n;
  l.insert(l.begin() + Value, this);
}

void TWinControl::FixupTabList() {
  std::vector<TWinControl*> sorted(tabList_.size(), nullptr);
  std::vector<TWinControl*> rest;
  for (TWinControl* c : winControls_) {
    const int j = c->tabOrder_;
    if (j >= 0 && j < static_cast<int>(sorted.size()) && !sorted[static_cast<size_t>(j)])
      sorted[static_cast<size_t>(j)] = c;
    else
      rest.push_back(c);
  }
  size_t k = 0;
  for (auto& s : sorted)
    if (!s) s = rest[k++];
  tabList_ = sorted;
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) {
  for (TWinControl* c : tabList_) {
    List.push_back(c);
    c->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const int n = static_cast<int>(list.size());
  auto it = std::find(list.begin(), list.end(), CurControl);
  int start = it == list.end() ? (GoForward ? n - 1 : 0) : static_cast<int>(it - list.begin());
  int i = start;
  do {
    if (GoForward) {
      if (++i == n) i = 0;
    } else {
      if (i == 0) i = n;
      --i;
    }
    TWinControl* c = list[static_cast<size_t>(i)];
    if (c->CanFocus() && (!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this)) return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  TWinControl* c = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop);
  if (c) c->SetFocus();
}

void TWinControl::SelectFirst() {
  TCustomForm* form = GetParentForm(this);
  if (!form) return;
  TWinControl* c = form->FindNextControl(nullptr, true, true, false);
  if (!c) c = form->FindNextControl(nullptr, true, false, false);
  if (c) c->SetFocus();
}

// ---- Keyboard -----------------------------------------------------------------------------------

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(Char& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

bool TWinControl::DoKeyDown(TMessage& Message) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyDown(Message)) return true;
  if (!controlStyle_.Contains(csNoStdEvents)) {
    WORD key = Message.CharCode();
    KeyDown(key, KeyDataToShiftState(Message.KeyData()));
    Message.SetCharCode(key);
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyUp(TMessage& Message) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyUp(Message)) return true;
  if (!controlStyle_.Contains(csNoStdEvents)) {
    WORD key = Message.CharCode();
    KeyUp(key, KeyDataToShiftState(Message.KeyData()));
    Message.SetCharCode(key);
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyPress(TMessage& Message) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyPress(Message)) return true;
  if (!controlStyle_.Contains(csNoStdEvents)) {
    Char ch = static_cast<Char>(Message.WParam);
    KeyPress(ch);
    Message.WParam = ch;
    if (ch == 0) return true;
  }
  return false;
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

bool TWinControl::IsMenuKey(TMessage& Message) {
  for (TControl* c = this; c; c = c->Parent()) {
    if (TPopupMenu* m = c->PopupMenu(); m && m->IsShortCut(Message)) return true;
  }
  if (TCustomForm* form = GetParentForm(this); form && form->IsShortCut(Message)) return true;
  return false;
}

void TWinControl::CNKeyDown(TMessage& Message) {
  Message.Result = 1;
  if (IsMenuKey(Message)) return;
  if (Perform(CM_CHILDKEY, Message.WParam, reinterpret_cast<LPARAM>(this)) != 0) return;
  LRESULT mask = 0;
  switch (Message.CharCode()) {
    case VK_TAB:
      mask = DLGC_WANTTAB;
      break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      mask = DLGC_WANTARROWS;
      break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL:
      mask = DLGC_WANTALLKEYS;
      break;
  }
  if (mask != 0 && Perform(CM_WANTSPECIALKEY, Message.WParam, Message.LParam) == 0 &&
      (Perform(WM_GETDLGCODE, 0, 0) & mask) == 0) {
    if (TCustomForm* form = GetParentForm(this);
        form && form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0)
      return;
  }
  Message.Result = 0;
}

void TWinControl::CNChar(TMessage& Message) {
  Message.Result = 1;
  if ((Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0) {
    if (TCustomForm* form = GetParentForm(this);
        form && form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0)
      return;
  }
  Message.Result = 0;
}

void TWinControl::CMDialogKey(TMessage& Message) {
  Broadcast(Message);
}

void TWinControl::CMDialogChar(TMessage& Message) {
  Broadcast(Message);
}

}  // namespace qd
