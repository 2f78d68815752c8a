// TWinControl: windowed controls over the window manager. Alignment and scaling are in
// controls_win_align.cpp; focus, tab order and the keyboard in controls_win_focus.cpp.
#include <algorithm>

#include "platform/base/mathutil.h"
#include "platform/base/strings.h"
#include "platform/classes/filer.h"
#include "platform/forms/controls.h"
#include "platform/forms/forms.h"
#include "platform/forms/menus.h"

namespace qd {

QD_IMPLEMENT_CLASS(TWinControl)

namespace {

const Char kControlProp[] = u"QdControl";

// The control whose window is being created: its window procedure takes the first
// message of the new window and binds the window to the control.
thread_local TWinControl* gCreationControl = nullptr;

// Layouts of the records that carry a child window handle.
struct NotifyHeader {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};
struct DrawItemRecord {
  UINT CtlType;
  UINT CtlID;
  UINT itemID;
  UINT itemAction;
  UINT itemState;
  HWND hwndItem;
};
struct MeasureItemRecord {
  UINT CtlType;
  UINT CtlID;
};

void MoveWindowOrg(HDC DC, int DX, int DY) {
  POINT p;
  GetWindowOrgEx(DC, &p);
  SetWindowOrgEx(DC, p.X - DX, p.Y - DY, nullptr);
}

}  // namespace

// ---- Window procedure -------------------------------------------------------------------------------

TWinControl* FindControl(HWND Handle) {
  if (!Handle) return nullptr;
  return static_cast<TWinControl*>(GetPropW(Handle, kControlProp));
}

LRESULT ControlWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* c = FindControl(hwnd);
  if (!c) {
    c = gCreationControl;
    if (!c) return DefWindowProcW(hwnd, msg, wParam, lParam);
    gCreationControl = nullptr;
    c->handle_ = hwnd;
    SetPropW(hwnd, kControlProp, c);
  }
  TMessage m;
  m.Msg = msg;
  m.WParam = wParam;
  m.LParam = lParam;
  c->MainWndProc(m);
  return m.Result;
}

void TWinControl::MainWndProc(TMessage& Message) {
  try {
    if (WindowProc)
      WindowProc(Message);
    else
      WndProc(Message);
  } catch (const os::EWouldBlockForever&) {
    // A test's message loop ran dry inside a handler: not an application error.
    throw;
  } catch (...) {
    if (forms_detail::HandleException)
      forms_detail::HandleException(this);
    else
      throw;
  }
}

// ---- Construction -----------------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner), brush_(std::make_unique<TBrush>()) {
  brush_->SetColor(color_);
}

TWinControl::~TWinControl() {
  Destroying();
  if (parent_) RemoveFocus(true);
  if (handle_) DestroyWindowHandle();
  while (ControlCount() > 0) {
    TControl* c = Controls(ControlCount() - 1);
    Remove(c);
    delete c;
  }
  if (parent_) SetParent(nullptr);
}

TWinControl* TWinControl::CreateParented(HWND ParentWindow) {
  auto* c = new TWinControl(nullptr);
  c->AfterConstruction();
  c->SetParentWindow(ParentWindow);
  return c;
}

void TWinControl::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
  r.Prop("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
  r.Prop("DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered);
  r.Prop("ParentDoubleBuffered", &TWinControl::ParentDoubleBuffered, &TWinControl::SetParentDoubleBuffered)
      .Default(true);
  r.Prop("ParentBackground", &TWinControl::ParentBackground, &TWinControl::SetParentBackground);
  r.Prop("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D);
  r.Prop("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D).Default(true);
  r.Event("OnKeyDown", &TWinControl::OnKeyDown);
  r.Event("OnKeyUp", &TWinControl::OnKeyUp);
  r.Event("OnKeyPress", &TWinControl::OnKeyPress);
  r.Event("OnEnter", &TWinControl::OnEnter);
  r.Event("OnExit", &TWinControl::OnExit);
}

void TWinControl::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty(
      u"DesignSize",
      [this](TReader* r) {
        r->ReadListBegin();
        designSize_.X = r->ReadInteger();
        designSize_.Y = r->ReadInteger();
        r->ReadListEnd();
      },
      [this](TWriter* w) {
        w->WriteListBegin();
        w->WriteInteger(designSize_.X);
        w->WriteInteger(designSize_.Y);
        w->WriteListEnd();
      },
      designSize_ != TPoint{0, 0});
}

// ---- Window life cycle --------------------------------------------------------------------------------

HWND TWinControl::Handle() {
  HandleNeeded();
  return handle_;
}

void TWinControl::HandleNeeded() {
  if (handle_) return;
  if (parent_) parent_->HandleNeeded();
  CreateHandle();
}

void TWinControl::SetParentWindow(HWND Value) {
  if (parent_ || parentWindow_ == Value) return;
  if (handle_ && parentWindow_ && Value) {
    parentWindow_ = Value;
    ::qd::SetParent(handle_, Value);
  } else {
    DestroyHandle();
    parentWindow_ = Value;
  }
  UpdateControlState();
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params = TCreateParams();
  Params.Caption = text_;
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (UseRightToLeftReading()) Params.ExStyle |= WS_EX_RTLREADING;
  if (UseRightToLeftScrollBar()) Params.ExStyle |= WS_EX_LEFTSCROLLBAR;
  if (UseRightToLeftAlignment()) Params.ExStyle |= WS_EX_RIGHT;
  if (controlStyle_.Contains(csAcceptsControls)) {
    Params.Style |= WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (!ComponentState().Contains(csDesigning) && !enabled_) Params.Style |= WS_DISABLED;
  if (tabStop_) Params.Style |= WS_TABSTOP;
  Params.X = left_;
  Params.Y = top_;
  Params.Width = width_;
  Params.Height = height_;
  Params.WndParent = parent_ ? parent_->Handle() : parentWindow_;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  Params.WindowClass.lpfnWndProc = &DefWindowProcW;
  Params.WindowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  Params.WindowClass.hbrBackground = nullptr;
  Params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& Params, const Char* ControlClassName) {
  WNDCLASSW wc;
  if (!GetClassInfoW(nullptr, ControlClassName, &wc)) return;
  Params.WindowClass = wc;
  Params.WindowClass.hInstance = nullptr;
  Params.WindowClass.style &= ~CS_GLOBALCLASS;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if (!params.WndParent && (params.Style & WS_CHILD)) {
    auto* ownerControl = dynamic_cast<TWinControl*>(Owner());
    if (ownerControl && Owner()->ComponentState().Contains(csReading))
      params.WndParent = ownerControl->Handle();
    else
      throw EInvalidOperation(u"Control '" + Name() + u"' has no parent window");
  }
  defWndProc_ = params.WindowClass.lpfnWndProc;
  WNDCLASSW existing;
  const bool registered = GetClassInfoW(params.WindowClass.hInstance, params.WinClassName.c_str(), &existing);
  if (!registered || existing.lpfnWndProc != &ControlWindowProc) {
    if (registered) UnregisterClassW(params.WinClassName.c_str(), params.WindowClass.hInstance);
    WNDCLASSW wc = params.WindowClass;
    wc.lpfnWndProc = &ControlWindowProc;
    wc.lpszClassName = params.WinClassName.c_str();
    if (!RegisterClassW(&wc)) RaiseLastOSError(GetLastError());
  }
  gCreationControl = this;
  try {
    CreateWindowHandle(params);
  } catch (...) {
    gCreationControl = nullptr;
    throw;
  }
  gCreationControl = nullptr;
  if (!handle_) RaiseLastOSError(GetLastError());
  if ((GetWindowLongW(handle_, GWL_STYLE) & static_cast<LONG>(WS_CHILD)) &&
      GetWindowLongPtrW(handle_, GWLP_ID) == 0)
    SetWindowLongPtrW(handle_, GWLP_ID, reinterpret_cast<LONG_PTR>(handle_));
  text_.clear();
  UpdateBounds();
  Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 1);
  if (autoSize_) AdjustSize();
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  HWND h = CreateWindowExW(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style,
                           Params.X, Params.Y, Params.Width, Params.Height, Params.WndParent, nullptr,
                           Params.WindowClass.hInstance, Params.Param);
  handle_ = h;
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  CreateWnd();
  SetPropW(handle_, kControlProp, this);
  if (parent_)
    SetWindowPos(handle_, parent_->PrecedingWindow(this), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->UpdateAnchorRules();
}

void TWinControl::DestroyWnd() {
  String t = GetText();
  DestroyWindowHandle();
  text_ = t;
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TWinControl* c : std::vector<TWinControl*>(winControls_)) c->DestroyHandle();
  DestroyWnd();
}

void TWinControl::DestroyWindowHandle() {
  controlState_.Include(csDestroyingHandle);
  HWND h = handle_;
  if (h && IsWindow(h)) DestroyWindow(h);
  controlState_.Exclude(csDestroyingHandle);
  handle_ = nullptr;
  showing_ = false;
}

void TWinControl::RecreateWnd() {
  if (handle_) Perform(CM_RECREATEWND, 0, 0);
}

void TWinControl::CMRecreateWnd(TMessage&) {
  const bool wasFocused = Focused();
  controlState_.Include(csRecreating);
  try {
    DestroyHandle();
    UpdateControlState();
  } catch (...) {
    controlState_.Exclude(csRecreating);
    throw;
  }
  controlState_.Exclude(csRecreating);
  if (wasFocused && handle_) ::qd::SetFocus(handle_);
}

void TWinControl::WMNCDestroy(TMessage& Message) {
  DefaultHandler(Message);
  if (handle_) RemovePropW(handle_, kControlProp);
  handle_ = nullptr;
  showing_ = false;
}

void TWinControl::UpdateShowing() {
  const bool showControl =
      visible_ && !controlState_.Contains(csReadingState) && !ComponentState().Contains(csDestroying);
  if (showControl) {
    if (!handle_) CreateHandle();
    for (TWinControl* c : std::vector<TWinControl*>(winControls_)) c->UpdateShowing();
  }
  if (handle_ && showing_ != showControl) {
    showing_ = showControl;
    try {
      Perform(CM_SHOWINGCHANGED, 0, 0);
    } catch (...) {
      showing_ = !showControl;
      throw;
    }
  }
}

void TWinControl::UpdateControlState() {
  TWinControl* c = this;
  while (c->parent_) {
    c = c->parent_;
    if (!c->Showing()) return;
  }
  if (dynamic_cast<TCustomForm*>(c) || c->parentWindow_) UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage&) {
  SetWindowPos(
      handle_, nullptr, 0, 0, 0, 0,
      SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (showing_ ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

// ---- Geometry -------------------------------------------------------------------------------------------

TRect TWinControl::GetClientRect() {
  if (handle_) {
    RECT r;
    ::qd::GetClientRect(handle_, &r);
    return r;
  }
  return inherited::GetClientRect();
}

TPoint TWinControl::GetClientOrigin() {
  POINT p{0, 0};
  ::qd::ClientToScreen(Handle(), &p);
  return p;
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (!CanResize(AWidth, AHeight)) return;
  Constraints()->Apply(AWidth, AHeight);
  if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
  if (handle_ && !IsIconic(handle_)) {
    SetWindowPos(handle_, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    DoSetBounds(ALeft, ATop, AWidth, AHeight);
    if (handle_) {
      WINDOWPLACEMENT wp;
      GetWindowPlacement(handle_, &wp);
      wp.rcNormalPosition = BoundsRect();
      SetWindowPlacement(handle_, &wp);
    }
  }
  UpdateAnchorRules();
  RequestAlign();
}

void TWinControl::UpdateBounds() {
  RECT r;
  if (IsIconic(handle_)) {
    WINDOWPLACEMENT wp;
    GetWindowPlacement(handle_, &wp);
    r = wp.rcNormalPosition;
  } else {
    GetWindowRect(handle_, &r);
    if (GetWindowLongW(handle_, GWL_STYLE) & static_cast<LONG>(WS_CHILD)) {
      if (HWND p = GetParent(handle_)) {
        POINT a = r.TopLeft(), b = r.BottomRight();
        ::qd::ScreenToClient(p, &a);
        ::qd::ScreenToClient(p, &b);
        r = {a.X, a.Y, b.X, b.Y};
      }
    }
  }
  UpdateBoundsRect(r);
}

void TWinControl::WMWindowPosChanged(TMessage& Message) {
  if (!controlState_.Contains(csDestroyingHandle) && handle_) UpdateBounds();
  DefaultHandler(Message);
}

HDC TWinControl::GetDeviceContext(HWND& WindowHandle) {
  WindowHandle = Handle();
  HDC dc = GetDC(WindowHandle);
  if (!dc) throw EOutOfMemory(u"Out of system resources");
  return dc;
}

// ---- Children ----------------------------------------------------------------------------------------

TControl* TWinControl::Controls(int Index) const {
  if (Index < 0 || Index >= ControlCount()) RaiseListIndexError(Index);
  const size_t i = static_cast<size_t>(Index);
  if (i < controls_.size()) return controls_[i];
  return winControls_[i - controls_.size()];
}

void TWinControl::Insert(TControl* AControl) {
  if (!AControl) return;
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
    winControls_.push_back(w);
    tabList_.push_back(w);
  } else {
    controls_.push_back(AControl);
  }
  AControl->parent_ = this;
}

void TWinControl::Remove(TControl* AControl) {
  auto w = std::find_if(winControls_.begin(), winControls_.end(),
                        [&](TWinControl* x) { return static_cast<TControl*>(x) == AControl; });
  if (w != winControls_.end()) {
    TWinControl* wc = *w;
    winControls_.erase(w);
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), wc), tabList_.end());
  } else {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), AControl), controls_.end());
  }
  AControl->parent_ = nullptr;
}

void TWinControl::InsertControl(TControl* AControl) {
  AControl->ValidateContainer(this);
  Perform(CM_CONTROLLISTCHANGING, reinterpret_cast<WPARAM>(AControl), 1);
  Insert(AControl);
  if (!AControl->ComponentState().Contains(csReading)) {
    AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
    AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    AControl->Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
    AControl->Perform(CM_PARENTDOUBLEBUFFEREDCHANGED, 0, 0);
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
      AControl->Perform(CM_PARENTCTL3DCHANGED, 0, 0);
      w->UpdateControlState();
    } else if (handle_) {
      AControl->Invalidate();
    }
    AlignControl(AControl);
  }
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl) {
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
  const bool windowed = std::any_of(winControls_.begin(), winControls_.end(),
                                    [&](TWinControl* x) { return static_cast<TControl*>(x) == AControl; });
  if (windowed) {
    auto* w = static_cast<TWinControl*>(AControl);
    w->RemoveFocus(true);
    w->DestroyHandle();
  } else if (handle_) {
    AControl->InvalidateControl(AControl->Visible(), false);
  }
  Remove(AControl);
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
  if (!ComponentState().Contains(csDestroying)) Realign();
}

bool TWinControl::ContainsControl(TControl* Control) {
  while (Control && Control != this) Control = Control->Parent();
  return Control != nullptr;
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls, bool AllLevels) {
  TControl* found = nullptr;
  auto test = [&](TControl* c) {
    TPoint p{Pos.X - c->Left(), Pos.Y - c->Top()};
    TRect cr = c->ClientRect();
    const bool inside = p.X >= cr.Left && p.X < cr.Right && p.Y >= cr.Top && p.Y < cr.Bottom;
    if (inside && c->Visible() && (c->Enabled() || AllowDisabled) &&
        c->Perform(CM_HITTEST, 0, MAKELPARAM(p.X, p.Y)) != 0) {
      found = c;
      return true;
    }
    return false;
  };
  if (AllowWinControls)
    for (auto it = winControls_.rbegin(); it != winControls_.rend(); ++it)
      if (test(*it)) break;
  if (!found)
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
      if (test(*it)) break;
  if (AllLevels) {
    if (auto* w = dynamic_cast<TWinControl*>(found)) {
      TPoint p{Pos.X - w->Left(), Pos.Y - w->Top()};
      if (TControl* inner = w->ControlAtPos(p, AllowDisabled, true, true)) found = inner;
    }
  }
  return found;
}

TControl* TWinControl::FindChildControl(const String& ControlName) {
  for (int i = 0; i < ControlCount(); ++i)
    if (SameText(Controls(i)->Name(), ControlName)) return Controls(i);
  return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
  for (int i = 0; i < ControlCount(); ++i) {
    Controls(i)->WindowProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT Msg) {
  TMessage m;
  m.Msg = Msg;
  Broadcast(m);
}

void TWinControl::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->Owner() == Root) Proc(c);
  }
}

void TWinControl::SetChildOrder(TComponent* Child, int Order) {
  auto* c = dynamic_cast<TControl*>(Child);
  if (!c || c->Parent() != this) return;
  if (auto* w = dynamic_cast<TWinControl*>(c)) {
    auto it = std::find(winControls_.begin(), winControls_.end(), w);
    winControls_.erase(it);
    size_t pos = static_cast<size_t>(
        std::clamp(Order - static_cast<int>(controls_.size()), 0, static_cast<int>(winControls_.size())));
    winControls_.insert(winControls_.begin() + static_cast<ptrdiff_t>(pos), w);
    if (w->handle_ && handle_)
      SetWindowPos(w->handle_, PrecedingWindow(w), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else {
    auto it = std::find(controls_.begin(), controls_.end(), c);
    controls_.erase(it);
    size_t pos = static_cast<size_t>(std::clamp(Order, 0, static_cast<int>(controls_.size())));
    controls_.insert(controls_.begin() + static_cast<ptrdiff_t>(pos), c);
    c->Invalidate();
  }
}

HWND TWinControl::PrecedingWindow(TWinControl* Control) {
  auto it = std::find(winControls_.begin(), winControls_.end(), Control);
  if (it != winControls_.end())
    for (++it; it != winControls_.end(); ++it)
      if ((*it)->handle_) return (*it)->handle_;
  // Nothing later in the list has a window: this one goes on top.
  return HWND_TOP;
}

// ---- Painting -------------------------------------------------------------------------------------------

void TWinControl::PaintControls(HDC DC, TControl* First) {
  size_t i = 0;
  if (First) {
    auto it = std::find(controls_.begin(), controls_.end(), First);
    i = it == controls_.end() ? 0 : static_cast<size_t>(it - controls_.begin());
  }
  // A control's painting may change the list; index it anew each time.
  for (; i < controls_.size(); ++i) {
    TControl* c = controls_[i];
    if (!c->Visible()) continue;
    TRect r = c->BoundsRect();
    if (!RectVisible(DC, &r)) continue;
    if (controlState_.Contains(csPaintCopy)) c->controlState_.Include(csPaintCopy);
    const int saved = SaveDC(DC);
    MoveWindowOrg(DC, c->Left(), c->Top());
    IntersectClipRect(DC, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    RestoreDC(DC, saved);
    c->controlState_.Exclude(csPaintCopy);
  }
}

void TWinControl::PaintWindow(HDC DC) {
  // Printing into a given DC must not validate the window's own pending paint.
  if (controlState_.Contains(csPrintClient)) return;
  TMessage m;
  m.Msg = WM_PAINT;
  m.WParam = reinterpret_cast<WPARAM>(DC);
  DefaultHandler(m);
}

void TWinControl::PaintHandler(TMessage& Message) {
  HDC dc = Message.DC();
  PAINTSTRUCT ps;
  if (!dc) dc = BeginPaint(handle_, &ps);
  try {
    if (controls_.empty()) {
      PaintWindow(dc);
    } else {
      const int saved = SaveDC(dc);
      int clip = SIMPLEREGION;
      for (TControl* c : controls_) {
        if (c->Visible() && c->controlStyle_.Contains(csOpaque)) {
          clip = ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
          if (clip == NULLREGION) break;
        }
      }
      if (clip != NULLREGION) PaintWindow(dc);
      RestoreDC(dc, saved);
    }
    PaintControls(dc, nullptr);
  } catch (...) {
    if (!Message.DC()) EndPaint(handle_, &ps);
    throw;
  }
  if (!Message.DC()) EndPaint(handle_, &ps);
}

void TWinControl::WMPaint(TMessage& Message) {
  if (!doubleBuffered_ || Message.DC()) {
    if (!controlState_.Contains(csCustomPaint) && ControlCount() == 0)
      DefaultHandler(Message);
    else
      PaintHandler(Message);
    return;
  }
  // Double buffered: paint into a memory bitmap, then copy it to the window.
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(handle_, &ps);
  TRect cr = GetClientRect();
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, std::max(cr.Width(), 1), std::max(cr.Height(), 1));
  HGDIOBJ old = SelectObject(mem, bmp);
  try {
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), reinterpret_cast<LPARAM>(mem));
    TMessage m = Message;
    m.WParam = reinterpret_cast<WPARAM>(mem);
    WMPaint(m);
    BitBlt(dc, 0, 0, cr.Width(), cr.Height(), mem, 0, 0, SRCCOPY);
  } catch (...) {
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    EndPaint(handle_, &ps);
    throw;
  }
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  EndPaint(handle_, &ps);
}

void TWinControl::DrawParentBackground(HDC DC) {
  HWND parentHandle = parent_->Handle();
  POINT origin{0, 0};
  MapWindowPoints(handle_, parentHandle, &origin, 1);
  const int saved = SaveDC(DC);
  POINT org;
  GetWindowOrgEx(DC, &org);
  SetWindowOrgEx(DC, org.X + origin.X, org.Y + origin.Y, nullptr);
  SendMessageW(parentHandle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
  SendMessageW(parentHandle, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(DC), PRF_CLIENT);
  RestoreDC(DC, saved);
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
  if (controlStyle_.Contains(csParentBackground) && parent_ && handle_) {
    // The parent's background (and the graphic controls on it) shows through.
    DrawParentBackground(Message.DC());
    Message.Result = 1;
    return;
  }
  // Double buffering erases into its memory bitmap (wParam = lParam) only.
  if (!doubleBuffered_ || Message.WParam == static_cast<WPARAM>(Message.LParam)) {
    TRect cr = GetClientRect();
    ::qd::FillRect(Message.DC(), &cr, brush_->Handle());
  }
  Message.Result = 1;
}

void TWinControl::Invalidate() {
  Perform(CM_INVALIDATE, 0, 0);
}

void TWinControl::CMInvalidate(TMessage& Message) {
  if (!handle_) return;
  if (parent_) parent_->Perform(CM_INVALIDATE, 1, 0);
  if (Message.WParam == 0) InvalidateRect(handle_, nullptr, !controlStyle_.Contains(csOpaque));
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

// ---- Appearance ---------------------------------------------------------------------------------

void TWinControl::SetDoubleBuffered(bool Value) {
  if (doubleBuffered_ == Value) return;
  doubleBuffered_ = Value;
  parentDoubleBuffered_ = false;
  Perform(CM_DOUBLEBUFFEREDCHANGED, 0, 0);
}

void TWinControl::SetParentDoubleBuffered(bool Value) {
  if (parentDoubleBuffered_ == Value) return;
  parentDoubleBuffered_ = Value;
  if (parent_ && !ComponentState().Contains(csReading)) Perform(CM_PARENTDOUBLEBUFFEREDCHANGED, 0, 0);
}

void TWinControl::SetParentBackground(bool Value) {
  if (ParentBackground() == Value) return;
  if (Value)
    controlStyle_.Include(csParentBackground);
  else
    controlStyle_.Exclude(csParentBackground);
  Invalidate();
}

void TWinControl::SetCtl3D(bool Value) {
  if (ctl3D_ == Value) return;
  ctl3D_ = Value;
  parentCtl3D_ = false;
  Perform(CM_CTL3DCHANGED, 0, 0);
}

void TWinControl::SetParentCtl3D(bool Value) {
  if (parentCtl3D_ == Value) return;
  parentCtl3D_ = Value;
  if (parent_ && !ComponentState().Contains(csReading)) Perform(CM_PARENTCTL3DCHANGED, 0, 0);
}

// ---- Stored forms -------------------------------------------------------------------------------

void TWinControl::ReadState(TReader* Reader) {
  DisableAlign();
  try {
    inherited::ReadState(Reader);
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
  FixupTabList();
  if (parent_) Perform(CM_PARENTCTL3DCHANGED, 0, 0);
  UpdateControlState();
}

void TWinControl::Loaded() {
  inherited::Loaded();
  if (handle_) Realign();
}

// ---- Message handling ---------------------------------------------------------------------------

bool TWinControl::IsControlMouseMsg(TMessage& Message) {
  TControl* c = nullptr;
  if (handle_ && GetCapture() == handle_) {
    TControl* cc = GetCaptureControl();
    if (cc && cc != this && cc->Parent() == this) c = cc;
  } else {
    c = ControlAtPos(Message.Pos(), false);
  }
  if (!c) return false;
  const int x = Message.XPos() - c->Left(), y = Message.YPos() - c->Top();
  Message.Result = c->Perform(Message.Msg, Message.WParam, MAKELPARAM(x, y));
  return true;
}

bool TWinControl::DoControlMsg(HWND ControlHandle, TMessage& Message) {
  TWinControl* c = FindControl(ControlHandle);
  if (!c) return false;
  Message.Result = c->Perform(Message.Msg + CN_BASE, Message.WParam, Message.LParam);
  return true;
}

void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS:
      if (TCustomForm* form = GetParentForm(this); form && !form->SetFocusedControl(this)) return;
      break;
    case WM_KILLFOCUS:
      if (controlState_.Contains(csFocusing)) return;
      break;
    case WM_CANCELMODE:
      if (handle_ && GetCapture() == handle_) {
        TControl* cc = GetCaptureControl();
        if (cc && cc != this && cc->Parent() == this) cc->Perform(WM_CANCELMODE, 0, 0);
      }
      break;
    default:
      if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && Message.Msg != WM_MOUSEWHEEL &&
          Message.Msg != WM_MOUSEHWHEEL) {
        if (IsControlMouseMsg(Message)) {
          if (Message.Result == 0 && handle_)
            DefWindowProcW(handle_, Message.Msg, Message.WParam, Message.LParam);
          return;
        }
      }
      break;
  }
  inherited::WndProc(Message);
}

void TWinControl::WMSetCursor(TMessage& Message) {
  if (reinterpret_cast<HWND>(Message.WParam) == handle_ &&
      static_cast<int16_t>(Message.LParamLo()) == HTCLIENT) {
    TCursor cursor = Screen ? Screen->Cursor() : crDefault;
    if (cursor == crDefault) {
      POINT p;
      GetCursorPos(&p);
      if (TControl* c = ControlAtPos(ScreenToClient(p), false)) cursor = c->Cursor();
      if (cursor == crDefault) cursor = Cursor();
    }
    if (cursor != crDefault && Screen) {
      ::qd::SetCursor(Screen->Cursors(cursor));
      Message.Result = 1;
      return;
    }
  }
  DefaultHandler(Message);
}

void TWinControl::WMContextMenu(TMessage& Message) {
  if (Message.Result != 0) return;
  TPoint pt = Message.Pos();
  if (!(pt.X == -1 && pt.Y == -1) && handle_) {
    if (TControl* c = ControlAtPos(ScreenToClient(pt), false)) {
      Message.Result = c->Perform(WM_CONTEXTMENU, 0, Message.LParam);
      if (Message.Result != 0) return;
    }
  }
  inherited::Dispatch(Message);
}

void TWinControl::CMVisibleChanged(TMessage&) {
  if (!visible_ && parent_) RemoveFocus(false);
  UpdateControlState();
}

void TWinControl::CMEnabledChanged(TMessage& Message) {
  if (!enabled_ && parent_) RemoveFocus(false);
  if (handle_) EnableWindow(handle_, enabled_ ? TRUE : FALSE);
  inherited::Dispatch(Message);
}

void TWinControl::CMColorChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  brush_->SetColor(color_);
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (handle_) Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
  NotifyControls(CM_PARENTFONTCHANGED);
}

// Painting, position, cursor, context menu and the end of the window.
bool TWinControl::DispatchWindowMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      WMPaint(Message);
      return true;
    case WM_ERASEBKGND:
      WMEraseBkgnd(Message);
      return true;
    case WM_PRINTCLIENT:
      if (Message.Result != 1 && (!(Message.LParam & PRF_CHECKVISIBLE) || visible_)) {
        const int saved = SaveDC(Message.DC());
        controlState_.Include(csPrintClient);
        try {
          PaintHandler(Message);
        } catch (...) {
          controlState_.Exclude(csPrintClient);
          RestoreDC(Message.DC(), saved);
          throw;
        }
        controlState_.Exclude(csPrintClient);
        RestoreDC(Message.DC(), saved);
        return true;
      }
      DefaultHandler(Message);
      return true;
    case WM_WINDOWPOSCHANGED:
      if (Message.LParam == 0) return true;  // from TControl::SetBounds of a control without a window
      WMWindowPosChanged(Message);
      return true;
    case WM_SIZE:
      if (handle_) UpdateBounds();
      DefaultHandler(Message);
      Realign();
      if (!ComponentState().Contains(csLoading)) Resize();
      return true;
    case WM_MOVE:
      DefaultHandler(Message);
      if (handle_) UpdateBounds();
      return true;
    case WM_SETCURSOR:
      WMSetCursor(Message);
      return true;
    case WM_CONTEXTMENU:
      WMContextMenu(Message);
      return true;
    case WM_NCDESTROY:
      WMNCDestroy(Message);
      return true;
    case WM_SYSCOLORCHANGE:
      // Only top-level windows hear it; the controls are told by the library.
      Perform(CM_SYSCOLORCHANGE, 0, 0);
      DefaultHandler(Message);
      return true;
    default:
      return false;
  }
}

// Notifications from child windows, reflected to the control they concern.
bool TWinControl::DispatchChildNotification(TMessage& Message) {
  switch (Message.Msg) {
    case WM_COMMAND:
      if (!DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
      return true;
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<const NotifyHeader*>(Message.LParam);
      if (!hdr || !DoControlMsg(hdr->hwndFrom, Message)) DefaultHandler(Message);
      return true;
    }
    case WM_DRAWITEM: {
      auto* di = reinterpret_cast<const DrawItemRecord*>(Message.LParam);
      if (!di || !DoControlMsg(di->hwndItem, Message)) DefaultHandler(Message);
      return true;
    }
    case WM_MEASUREITEM: {
      auto* mi = reinterpret_cast<const MeasureItemRecord*>(Message.LParam);
      if (!mi || !handle_ || !DoControlMsg(GetDlgItem(handle_, static_cast<int>(mi->CtlID)), Message))
        DefaultHandler(Message);
      return true;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (!DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
      return true;
    default:
      return false;
  }
}

// Keys, dialog keys and characters, focus entering and leaving.
bool TWinControl::DispatchKey(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (!DoKeyDown(Message)) DefaultHandler(Message);
      return true;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (!DoKeyUp(Message)) DefaultHandler(Message);
      return true;
    case WM_CHAR:
      if (!DoKeyPress(Message)) DefaultHandler(Message);
      return true;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
      CNKeyDown(Message);
      return true;
    case CN_CHAR:
    case CN_SYSCHAR:
      CNChar(Message);
      return true;
    case CM_DIALOGKEY:
      CMDialogKey(Message);
      return true;
    case CM_DIALOGCHAR:
      CMDialogChar(Message);
      return true;
    case CM_ENTER:
      DoEnter();
      return true;
    case CM_EXIT:
      DoExit();
      return true;
    case CM_FOCUSCHANGED:
      Broadcast(Message);
      return true;
    default:
      return false;
  }
}

// A property of the control or of its parent changed.
bool TWinControl::DispatchPropertyChange(TMessage& Message) {
  switch (Message.Msg) {
    case CM_SHOWINGCHANGED:
      CMShowingChanged(Message);
      return true;
    case CM_VISIBLECHANGED:
      CMVisibleChanged(Message);
      return true;
    case CM_ENABLEDCHANGED:
      CMEnabledChanged(Message);
      return true;
    case CM_COLORCHANGED:
      CMColorChanged(Message);
      return true;
    case CM_FONTCHANGED:
      CMFontChanged(Message);
      return true;
    case CM_INVALIDATE:
      CMInvalidate(Message);
      return true;
    case CM_RECREATEWND:
      CMRecreateWnd(Message);
      return true;
    case CM_SHOWHINTCHANGED:
      NotifyControls(CM_PARENTSHOWHINTCHANGED);
      return true;
    case CM_BIDIMODECHANGED:
      NotifyControls(CM_PARENTBIDIMODECHANGED);
      Invalidate();
      return true;
    case CM_CTL3DCHANGED:
      NotifyControls(CM_PARENTCTL3DCHANGED);
      return true;
    case CM_PARENTCTL3DCHANGED:
      if (parentCtl3D_ && parent_) {
        SetCtl3D(parent_->ctl3D_);
        parentCtl3D_ = true;
      }
      return true;
    case CM_DOUBLEBUFFEREDCHANGED:
      NotifyControls(CM_PARENTDOUBLEBUFFEREDCHANGED);
      return true;
    case CM_SYSCOLORCHANGE:
      Broadcast(Message);
      return true;
    case CM_PARENTDOUBLEBUFFEREDCHANGED:
      if (parentDoubleBuffered_ && parent_) {
        SetDoubleBuffered(parent_->doubleBuffered_);
        parentDoubleBuffered_ = true;
      }
      return true;
    case CM_CURSORCHANGED:
      if (handle_ && Screen && Screen->Cursor() == crDefault) {
        POINT p;
        GetCursorPos(&p);
        if (WindowFromPoint(p) == handle_)
          SendMessageW(handle_, WM_SETCURSOR, reinterpret_cast<WPARAM>(handle_), HTCLIENT);
      }
      return true;
    default:
      return false;
  }
}
void TWinControl::Dispatch(TMessage& Message) {
  if (DispatchWindowMessage(Message) || DispatchChildNotification(Message) || DispatchKey(Message) ||
      DispatchPropertyChange(Message))
    return;
  inherited::Dispatch(Message);
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (!handle_) {
    inherited::DefaultHandler(Message);
    return;
  }
  Message.Result = CallWindowProcW(defWndProc_ ? defWndProc_ : &DefWindowProcW, handle_, Message.Msg,
                                   Message.WParam, Message.LParam);
}

// ---- Helpers ------------------------------------------------------------------------------------

TCustomForm* GetParentForm(TControl* Control, bool TopForm) {
  if (!Control) return nullptr;
  if (TopForm) {
    while (Control->Parent()) Control = Control->Parent();
    return dynamic_cast<TCustomForm*>(Control);
  }
  for (TControl* c = Control; c; c = c->Parent())
    if (auto* f = dynamic_cast<TCustomForm*>(c)) return f;
  return nullptr;
}

TControl* FindDragTarget(TPoint Pos, bool AllowDisabled) {
  HWND wnd = WindowFromPoint(Pos);
  TControl* result = nullptr;
  while (wnd && !result) {
    result = FindControl(wnd);
    if (!result) wnd = GetParent(wnd);
  }
  if (auto* w = dynamic_cast<TWinControl*>(result)) {
    if (TControl* c = w->ControlAtPos(w->ScreenToClient(Pos), AllowDisabled)) result = c;
  }
  return result;
}

}  // namespace qd
