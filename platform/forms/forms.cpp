// TCustomForm, stored-form creation, TScreen, TMonitor and THintWindow.
#include "platform/forms/forms.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "platform/base/mathutil.h"
#include "platform/base/resources.h"
#include "platform/base/strings.h"
#include "platform/classes/filer.h"
#include "platform/classes/streams.h"

namespace qd {

QD_IMPLEMENT_CLASS(TCustomForm)
QD_IMPLEMENT_CLASS(TForm)
QD_IMPLEMENT_CLASS(TMonitor)
QD_IMPLEMENT_CLASS(TScreen)
QD_IMPLEMENT_CLASS(THintWindow)

TScreen* Screen = nullptr;

namespace forms_detail {
// Set by Application->CreateForm: stores the new form in the caller's reference before
// the form's OnCreate runs.
thread_local const std::function<void(TObject*)>* PendingFormAssign = nullptr;
}  // namespace forms_detail

namespace {

const TTypeInfo* TypeInfoTBorderIcons() {
  static const TTypeInfo e =
      MakeEnumTypeInfo(u"TBorderIcon", {u"biSystemMenu", u"biMinimize", u"biMaximize", u"biHelp"});
  static const TTypeInfo t = MakeSetTypeInfo(u"TBorderIcons", &e);
  return &t;
}
const TTypeInfo* TypeInfoTPosition() {
  static const TTypeInfo t = MakeEnumTypeInfo(
      u"TPosition", {u"poDesigned", u"poDefault", u"poDefaultPosOnly", u"poDefaultSizeOnly",
                     u"poScreenCenter", u"poDesktopCenter", u"poMainFormCenter", u"poOwnerFormCenter"});
  return &t;
}
const TTypeInfo* TypeInfoTFormStyle() {
  static const TTypeInfo t =
      MakeEnumTypeInfo(u"TFormStyle", {u"fsNormal", u"fsMDIChild", u"fsMDIForm", u"fsStayOnTop"});
  return &t;
}
const TTypeInfo* TypeInfoTWindowState() {
  static const TTypeInfo t = MakeEnumTypeInfo(u"TWindowState", {u"wsNormal", u"wsMinimized", u"wsMaximized"});
  return &t;
}
const TTypeInfo* TypeInfoTDefaultMonitor() {
  static const TTypeInfo t =
      MakeEnumTypeInfo(u"TDefaultMonitor", {u"dmDesktop", u"dmPrimary", u"dmMainForm", u"dmActiveForm"});
  return &t;
}

std::mutex& StoredFormsLock() {
  static std::mutex m;
  return m;
}
std::map<String, String>& StoredForms() {
  static std::map<String, String> m;
  return m;
}

String RegisteredStoredForm(const String& ClassName) {
  std::lock_guard g(StoredFormsLock());
  auto it = StoredForms().find(UpperCase(ClassName));
  return it == StoredForms().end() ? String() : it->second;
}

// Reports an exception raised by an event handler the way the application does.
void HandleOrRethrow(TObject* Sender) {
  if (forms_detail::HandleException)
    forms_detail::HandleException(Sender);
  else
    throw;
}

int ScreenPPI() {
  return Screen ? Screen->PixelsPerInch() : static_cast<int>(GetDpiForSystem());
}

}  // namespace

void RegisterStoredForm(const String& ClassName, const String& Text) {
  std::lock_guard g(StoredFormsLock());
  if (Text.empty())
    StoredForms().erase(UpperCase(ClassName));
  else
    StoredForms()[UpperCase(ClassName)] = Text;
}

// ---- TCustomForm --------------------------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  InitializeNewForm();
}

TCustomForm::TCustomForm(TComponent* AOwner, int) : TWinControl(AOwner), createdNew_(true) {
  InitializeNewForm();
}

void TCustomForm::InitializeNewForm() {
  visible_ = false;
  parentColor_ = false;
  parentFont_ = false;
  controlStyle_ = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  color_ = clBtnFace;
  Brush()->SetColor(clBtnFace);
  icon_ = std::make_unique<TIcon>();
  icon_->OnChange = TNotifyEvent(this, &TCustomForm::IconChanged);
  canvas_ = std::make_unique<TControlCanvas>();
  canvas_->SetControl(this);
  pixelsPerInch_ = ScreenPPI();
  SetCurrentPPI(pixelsPerInch_);
  DoSetBounds(0, 0, 320, 240);
  if (Screen) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  if (!destructionStarted_) {
    destructionStarted_ = true;
    // The derived parts are gone: only a handler of another object can still run.
    if (OnDestroy && OnDestroy.Data() != static_cast<void*>(this)) {
      try {
        OnDestroy(this);
      } catch (...) {
      }
    }
  }
  Destroying();
  if (Screen) Screen->RemoveForm(this);
  DestroyComponents();
  canvas_->FreeHandle();
}

void TCustomForm::BeforeDestruction() {
  if (destructionStarted_) return;
  destructionStarted_ = true;
  Destroying();
  if (Screen) Screen->RemoveForm(this);
  if (handle_ && IsWindowVisible(handle_)) ShowWindow(handle_, SW_HIDE);
  DoDestroy();
}

void TCustomForm::Free() {
  BeforeDestruction();
  delete this;
}

void TCustomForm::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
  r.Prop("AlphaBlend", &TCustomForm::AlphaBlend, &TCustomForm::SetAlphaBlend).Default(false);
  r.Prop("AlphaBlendValue", &TCustomForm::AlphaBlendValue, &TCustomForm::SetAlphaBlendValue).Default(255);
  r.Prop("AutoScroll", &TCustomForm::AutoScroll, &TCustomForm::SetAutoScroll).Default(false);
  r.Prop("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons, TypeInfoTBorderIcons());
  r.Prop("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle, TypeInfoTFormBorderStyle())
      .Default(bsSizeable);
  r.Prop("Caption", &TControl::Caption, &TControl::SetCaption);
  r.Prop("ClientHeight", &TControl::ClientHeight, &TCustomForm::SetClientHeight);
  r.Prop("ClientWidth", &TControl::ClientWidth, &TCustomForm::SetClientWidth);
  r.Prop("DefaultMonitor", &TCustomForm::DefaultMonitor, &TCustomForm::SetDefaultMonitor,
         TypeInfoTDefaultMonitor())
      .Default(dmActiveForm);
  r.Prop("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle, TypeInfoTFormStyle())
      .Default(fsNormal);
  r.Prop("Icon", &TCustomForm::Icon, &TCustomForm::SetIcon);
  r.Prop("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview).Default(false);
  r.Prop("OldCreateOrder", &TCustomForm::OldCreateOrder, &TCustomForm::SetOldCreateOrder);
  r.Prop("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch);
  r.Prop("Position", &TCustomForm::Position, &TCustomForm::SetPosition, TypeInfoTPosition())
      .Default(poDefaultPosOnly);
  r.Prop("Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled).Default(true);
  r.Prop("TextHeight", &TCustomForm::TextHeight, &TCustomForm::SetTextHeight);
  r.Prop("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState, TypeInfoTWindowState())
      .Default(wsNormal);
  r.Event("OnCreate", &TCustomForm::OnCreate);
  r.Event("OnDestroy", &TCustomForm::OnDestroy);
  r.Event("OnShow", &TCustomForm::OnShow);
  r.Event("OnHide", &TCustomForm::OnHide);
  r.Event("OnActivate", &TCustomForm::OnActivate);
  r.Event("OnDeactivate", &TCustomForm::OnDeactivate);
  r.Event("OnPaint", &TCustomForm::OnPaint);
  r.Event("OnClose", &TCustomForm::OnClose);
  r.Event("OnCloseQuery", &TCustomForm::OnCloseQuery);
}

bool TCustomForm::InitFromStoredForm() {
  std::vector<TClass> chain;
  for (TClass c = ClassType(); c && c != TForm::StaticClass() && c != TCustomForm::StaticClass();
       c = c->parent)
    chain.push_back(c);
  bool any = false;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    const String name = (*it)->ClassName();
    const String text = RegisteredStoredForm(name);
    if (!text.empty()) {
      ReadComponentFromText(text, this);
      any = true;
    } else if (EmbeddedResourceExists("RCDATA", StringToUtf8(name))) {
      ReadComponentResFromResource(this, name);
      any = true;
    }
  }
  return any;
}

void TCustomForm::AfterConstruction() {
  if (forms_detail::PendingFormAssign) {
    const auto* assign = forms_detail::PendingFormAssign;
    forms_detail::PendingFormAssign = nullptr;
    (*assign)(this);
  }
  try {
    if (!createdNew_ && ClassType() != TForm::StaticClass() && ClassType() != TCustomForm::StaticClass()) {
      formState_.Include(fsCreating);
      try {
        if (!InitFromStoredForm()) throw EResNotFound(u"Resource " + ClassName() + u" not found");
      } catch (...) {
        formState_.Exclude(fsCreating);
        throw;
      }
      formState_.Exclude(fsCreating);
    }
    DoCreate();
  } catch (...) {
    // Nothing half-made stays behind (creation by class cannot free the object).
    delete this;
    throw;
  }
  if (formState_.Contains(fsActivated)) {
    formState_.Exclude(fsActivated);
    Activate();
  }
}

void TCustomForm::DoCreate() {
  if (OnCreate) {
    try {
      OnCreate(this);
    } catch (const os::EWouldBlockForever&) {
      throw;
    } catch (...) {
      HandleOrRethrow(this);
    }
  }
  if (formState_.Contains(fsVisible)) SetVisible(true);
}

void TCustomForm::DoDestroy() {
  if (OnDestroy) {
    try {
      OnDestroy(this);
    } catch (const os::EWouldBlockForever&) {
      throw;
    } catch (...) {
      HandleOrRethrow(this);
    }
  }
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

void TCustomForm::Activate() {
  if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::Paint() {
  if (OnPaint) OnPaint(this);
}

// -- Window

void TCustomForm::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  if (!parent_ && !parentWindow_) {
    Params.Style &= ~(WS_CHILD | WS_GROUP | WS_TABSTOP);
    Params.WndParent = nullptr;
    if (Application) {
      TCustomForm* main = Application->MainForm();
      if (!Application->MainFormOnTaskBar())
        Params.WndParent = Application->Handle();
      else if (main && main != this && main->HandleAllocated())
        Params.WndParent = main->handle_;
      if (Application->MainFormOnTaskBar() && (!main || main == this)) Params.ExStyle |= WS_EX_APPWINDOW;
    }
  }
  Params.WindowClass.style = CS_DBLCLKS;
  TFormBorderStyle style = borderStyle_;
  if (formStyle_ == fsMDIChild && (style == bsNone || style == bsDialog)) style = bsSizeable;
  switch (style) {
    case bsNone:
      if (!parent_ || !parentWindow_) Params.Style |= WS_POPUP;
      break;
    case bsSingle:
    case bsToolWindow:
      Params.Style |= WS_CAPTION | WS_BORDER;
      break;
    case bsSizeable:
    case bsSizeToolWin:
      Params.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case bsDialog:
      Params.Style |= WS_POPUP | WS_CAPTION;
      Params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      Params.WindowClass.style |= CS_SAVEBITS | CS_BYTEALIGNWINDOW;
      break;
  }
  if (style == bsToolWindow || style == bsSizeToolWin) Params.ExStyle |= WS_EX_TOOLWINDOW;
  TBorderIcons icons = borderIcons_;
  switch (style) {
    case bsNone:
      icons.Clear();
      break;
    case bsDialog:
      icons = icons * TBorderIcons{biSystemMenu, biHelp};
      break;
    case bsToolWindow:
    case bsSizeToolWin:
      icons = icons * TBorderIcons{biSystemMenu};
      break;
    default:
      break;
  }
  if (style == bsSingle || style == bsSizeable || style == bsNone) {
    if (icons.Contains(biMinimize)) Params.Style |= WS_MINIMIZEBOX;
    if (icons.Contains(biMaximize)) Params.Style |= WS_MAXIMIZEBOX;
  }
  if (icons.Contains(biSystemMenu)) Params.Style |= WS_SYSMENU;
  if (icons.Contains(biHelp)) Params.ExStyle |= WS_EX_CONTEXTHELP;
  if (formStyle_ == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
  if (position_ == poDefault || position_ == poDefaultPosOnly) {
    Params.X = CW_USEDEFAULT;
    Params.Y = CW_USEDEFAULT;
  }
  if (position_ == poDefault || position_ == poDefaultSizeOnly) {
    Params.Width = CW_USEDEFAULT;
    Params.Height = CW_USEDEFAULT;
  }
  if (alphaBlend_) Params.ExStyle |= WS_EX_LAYERED;
}

void TCustomForm::CreateWnd() {
  inherited::CreateWnd();
  if (alphaBlend_) SetLayeredWindowAttributes(handle_, 0, alphaBlendValue_, LWA_ALPHA);
  if (HICON icon = GetIconHandle())
    SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  ApplyPendingClientSize();
}

void TCustomForm::DestroyWnd() {
  inherited::DestroyWnd();
  active_ = false;
}

TRect TCustomForm::GetClientRect() {
  if (handle_) return inherited::GetClientRect();
  // Before the window exists: the window's size less the frame its style will give it.
  TCreateParams p;
  CreateParams(p);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, p.Style, FALSE, p.ExStyle);
  return Rect(0, 0, std::max(0, width_ - frame.Width()), std::max(0, height_ - frame.Height()));
}

void TCustomForm::SetClientWidth(int Value) {
  if (controlState_.Contains(csReadingState)) {
    pendingClientWidth_ = Value;
    SetScalingFlags(ScalingFlags() + TScalingFlags{sfWidth});
    return;
  }
  inherited::SetClientWidth(Value);
}

void TCustomForm::SetClientHeight(int Value) {
  if (controlState_.Contains(csReadingState)) {
    pendingClientHeight_ = Value;
    SetScalingFlags(ScalingFlags() + TScalingFlags{sfHeight});
    return;
  }
  inherited::SetClientHeight(Value);
}

void TCustomForm::ApplyPendingClientSize() {
  if (pendingClientWidth_ > 0) inherited::SetClientWidth(pendingClientWidth_);
  if (pendingClientHeight_ > 0) inherited::SetClientHeight(pendingClientHeight_);
  pendingClientWidth_ = pendingClientHeight_ = 0;
}

HICON TCustomForm::GetIconHandle() {
  if (HICON h = icon_->Handle()) return h;
  if (Application && Application->Icon()) return Application->Icon()->Handle();
  return nullptr;
}

void TCustomForm::IconChanged(TObject*) {
  if (handle_) SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(GetIconHandle()));
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  if (!ComponentState().Contains(csLoading)) RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  if (borderIcons_ == Value) return;
  borderIcons_ = Value;
  if (!ComponentState().Contains(csLoading)) RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (formStyle_ == Value) return;
  formStyle_ = Value;
  if (handle_)
    SetWindowPos(handle_, Value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetWindowState(TWindowState Value) {
  if (windowState_ == Value) return;
  windowState_ = Value;
  if (handle_ && showing_) {
    static const int kShow[] = {SW_SHOWNORMAL, SW_MINIMIZE, SW_SHOWMAXIMIZED};
    ShowWindow(handle_, kShow[Value]);
  }
}

void TCustomForm::SetAlphaBlend(bool Value) {
  if (alphaBlend_ == Value) return;
  alphaBlend_ = Value;
  if (!ComponentState().Contains(csLoading)) RecreateWnd();
}

void TCustomForm::SetAlphaBlendValue(uint8_t Value) {
  alphaBlendValue_ = Value;
  if (alphaBlend_ && handle_) SetLayeredWindowAttributes(handle_, 0, Value, LWA_ALPHA);
}

void TCustomForm::SetPixelsPerInch(int Value) {
  // A stored value of 0 or below means "not scaled"; absurd values are brought in range.
  pixelsPerInch_ = Value <= 0 ? 0 : std::clamp(Value, 30, 480);
}

void TCustomForm::SetVisible(bool Value) {
  if (formState_.Contains(fsCreating)) {
    if (Value)
      formState_.Include(fsVisible);
    else
      formState_.Exclude(fsVisible);
    return;
  }
  inherited::SetVisible(Value);
}

void TCustomForm::PaintWindow(HDC DC) {
  canvas_->Lock();
  canvas_->SetHandle(DC);
  try {
    Paint();
  } catch (...) {
    canvas_->SetHandle(nullptr);
    canvas_->Unlock();
    throw;
  }
  canvas_->SetHandle(nullptr);
  canvas_->Unlock();
}

// -- Stored forms

void TCustomForm::ReadState(TReader* Reader) {
  DisableAlign();
  try {
    pendingClientWidth_ = pendingClientHeight_ = 0;
    inherited::ReadState(Reader);
    const int screenPPI = ScreenPPI();
    if (scaled_ && pixelsPerInch_ > 0 && pixelsPerInch_ != screenPPI) {
      // Designed at another density: children, fonts and the client size follow the screen.
      const int m = screenPPI, d = pixelsPerInch_;
      for (int i = 0; i < ControlCount(); ++i) Controls(i)->ChangeScale(m, d, false);
      if (ScalingFlags().Contains(sfFont) || !parentFont_) Font()->SetHeight(MulDiv(Font()->Height(), m, d));
      if (pendingClientWidth_ > 0) pendingClientWidth_ = MulDiv(pendingClientWidth_, m, d);
      if (pendingClientHeight_ > 0) pendingClientHeight_ = MulDiv(pendingClientHeight_, m, d);
      pixelsPerInch_ = screenPPI;
      SetCurrentPPI(screenPPI);
    }
    ApplyPendingClientSize();
    SetScalingFlags({});
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
}

void TCustomForm::Loaded() {
  inherited::Loaded();
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == activeControl_) activeControl_ = nullptr;
  if (AComponent == focusedControl_) focusedControl_ = nullptr;
}

// -- Showing and closing

void TCustomForm::Show() {
  SetVisible(true);
  if (handle_) SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TCustomForm::Hide() {
  SetVisible(false);
}

bool TCustomForm::CloseQuery() {
  bool result = true;
  if (OnCloseQuery) OnCloseQuery(this, result);
  return result;
}

void TCustomForm::Close() {
  if (formState_.Contains(fsModal)) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action =
      formStyle_ == fsMDIChild ? (borderIcons_.Contains(biMinimize) ? caMinimize : caNone) : caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application && Application->MainForm() == this)
    Application->Terminate();
  else if (action == caHide)
    Hide();
  else if (action == caMinimize)
    SetWindowState(wsMinimized);
  else
    Release();
}

void TCustomForm::Release() {
  PostMessageW(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::CloseModal() {
  try {
    TCloseAction action = caNone;
    if (CloseQuery()) {
      action = caHide;
      DoClose(action);
    }
    if (action == caNone)
      modalResult_ = mrNone;
    else if (action == caFree)
      Release();
  } catch (const os::EWouldBlockForever&) {
    throw;
  } catch (...) {
    modalResult_ = mrNone;
    HandleOrRethrow(this);
  }
}

int TCustomForm::ShowModal() {
  if (visible_ || !enabled_ || formState_.Contains(fsModal) || formStyle_ == fsMDIChild)
    throw EInvalidOperation(u"Cannot make a visible window modal");
  if (HWND cap = GetCapture()) SendMessageW(cap, WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  if (Application) Application->ModalStarted();
  formState_.Include(fsModal);
  // Every other window of the application is disabled while the form is shown.
  std::vector<HWND> disabled;
  if (Screen)
    for (int i = 0; i < Screen->FormCount(); ++i) {
      TCustomForm* f = Screen->Forms(i);
      if (f != this && f->HandleAllocated() && IsWindowVisible(f->handle_) && IsWindowEnabled(f->handle_)) {
        EnableWindow(f->handle_, FALSE);
        disabled.push_back(f->handle_);
      }
    }
  TCustomForm* savedFocus = Screen ? Screen->FocusedForm() : nullptr;
  auto restore = [&] {
    for (HWND h : disabled)
      if (IsWindow(h)) EnableWindow(h, TRUE);
    formState_.Exclude(fsModal);
    if (Application) Application->ModalFinished();
    if (savedFocus && Screen) {
      for (int i = 0; i < Screen->FormCount(); ++i)
        if (Screen->Forms(i) == savedFocus && savedFocus->HandleAllocated())
          SetActiveWindow(savedFocus->handle_);
    }
  };
  int result = mrNone;
  try {
    Show();
    try {
      SendMessageW(Handle(), CM_ACTIVATE, 0, 0);
      modalResult_ = mrNone;
      do {
        if (Application) Application->HandleMessage();
        if (Application && Application->Terminated())
          modalResult_ = mrCancel;
        else if (modalResult_ != mrNone)
          CloseModal();
      } while (modalResult_ == mrNone);
      result = modalResult_;
      if (handle_) SendMessageW(handle_, CM_DEACTIVATE, 0, 0);
    } catch (...) {
      Hide();
      throw;
    }
    Hide();
  } catch (...) {
    restore();
    throw;
  }
  restore();
  return result;
}

void TCustomForm::CMShowingChanged(TMessage& Message) {
  if (formState_.Contains(fsShowing)) throw EInvalidOperation(u"Cannot change Visible in OnShow or OnHide");
  formState_.Include(fsShowing);
  try {
    if (showing_) {
      try {
        DoShow();
      } catch (const os::EWouldBlockForever&) {
        throw;
      } catch (...) {
        HandleOrRethrow(this);
      }
      auto centerIn = [this](const TRect& area) {
        int x = area.Left + (area.Width() - width_) / 2;
        int y = area.Top + (area.Height() - height_) / 2;
        x = std::max(x, area.Left);
        y = std::max(y, area.Top);
        SetBounds(x, y, width_, height_);
      };
      switch (position_) {
        case poScreenCenter:
          centerIn(Rect(0, 0, Screen ? Screen->Width() : GetSystemMetrics(SM_CXSCREEN),
                        Screen ? Screen->Height() : GetSystemMetrics(SM_CYSCREEN)));
          break;
        case poDesktopCenter:
          centerIn(Screen ? Screen->DesktopRect() : Rect(0, 0, 0, 0));
          break;
        case poMainFormCenter:
        case poOwnerFormCenter: {
          TCustomForm* other = nullptr;
          if (position_ == poOwnerFormCenter) other = dynamic_cast<TCustomForm*>(Owner());
          if (!other && Application) other = Application->MainForm();
          if (other && other != this && other->HandleAllocated() && IsWindowVisible(other->handle_)) {
            RECT r;
            GetWindowRect(other->handle_, &r);
            centerIn(r);
          } else if (Screen) {
            centerIn(Rect(0, 0, Screen->Width(), Screen->Height()));
          }
          break;
        }
        default:
          break;
      }
      position_ = poDesigned;
      static const int kShow[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
      ShowWindow(handle_, kShow[windowState_]);
      if (handle_) SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    } else {
      try {
        DoHide();
      } catch (const os::EWouldBlockForever&) {
        throw;
      } catch (...) {
        HandleOrRethrow(this);
      }
      if (formState_.Contains(fsModal))
        SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      else
        inherited::CMShowingChanged(Message);
    }
  } catch (...) {
    formState_.Exclude(fsShowing);
    throw;
  }
  formState_.Exclude(fsShowing);
}

// -- Focus

bool TCustomForm::CanFocus() {
  return visible_ && enabled_;
}

void TCustomForm::SetWindowFocus() {
  TWinControl* fc = activeControl_ ? activeControl_ : this;
  HWND h = fc->Handle();
  ::qd::SetFocus(h);
  if (GetFocus() == h) fc->Perform(CM_UIACTIVATE, 0, 0);
}

void TCustomForm::SetActive(bool Value) {
  active_ = Value;
  if (Value) {
    if (!activeControl_) {
      if (TWinControl* c = FindNextControl(nullptr, true, true, false)) SetActiveControl(c);
    }
    SetWindowFocus();
  }
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (activeControl_ == Control) return;
  if (Control && !(Control != this && GetParentForm(Control) == this &&
                   (ComponentState().Contains(csLoading) || Control->CanFocus())))
    throw EInvalidOperation(u"Cannot focus a disabled or invisible window");
  if (activeControl_) activeControl_->RemoveFreeNotification(this);
  activeControl_ = Control;
  if (Control) Control->FreeNotification(this);
  if (!ComponentState().Contains(csLoading) && active_) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* Control) {
  const bool wasActive = active_;
  SetActiveControl(Control);
  if (!wasActive) SetFocus();
}

void TCustomForm::SetFocus() {
  if (active_) return;
  if (!(visible_ && enabled_)) throw EInvalidOperation(u"Cannot focus a disabled or invisible window");
  SetWindowFocus();
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
  if (Removing && focusedControl_ && Control->ContainsControl(focusedControl_))
    focusedControl_ = Control->Parent();
  if (activeControl_ && Control->ContainsControl(activeControl_)) {
    activeControl_->RemoveFreeNotification(this);
    activeControl_ = nullptr;
    // The focus goes back to the form itself.
    if (active_ && !ComponentState().Contains(csDestroying) && handle_) SetWindowFocus();
  }
}

namespace {
int gFocusCount = 0;

// Sends a focus notification through the window manager (hooks see it); false when the
// receiver moved the focus elsewhere meanwhile.
bool SendFocusMessage(HWND Window, UINT Msg) {
  const int count = gFocusCount;
  SendMessageW(Window, Msg, 0, 0);
  return gFocusCount == count;
}
}  // namespace

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  // Its controls going away move the focus to a dying form: the screen must not take it back.
  if (ComponentState().Contains(csDestroying)) return false;
  ++gFocusCount;
  activeControl_ = Control != this ? Control : nullptr;
  if (Screen) Screen->SetFocusState(this, Control);
  if (Control->ControlState().Contains(csFocusing)) return false;
  Control->SetControlState(Control->ControlState() + TControlState{csFocusing});
  auto done = [&] { Control->SetControlState(Control->ControlState() - TControlState{csFocusing}); };
  try {
    if (Screen && Screen->FocusedForm() != this) {
      if (TCustomForm* old = Screen->FocusedForm()) {
        HWND h = old->handle_;
        Screen->SetFocusedForm(nullptr);
        if (h && !SendFocusMessage(h, CM_DEACTIVATE)) {
          done();
          return false;
        }
      }
      Screen->SetFocusedForm(this);
      if (!SendFocusMessage(Handle(), CM_ACTIVATE)) {
        done();
        return false;
      }
    }
    if (!focusedControl_) focusedControl_ = this;
    if (focusedControl_ != Control) {
      while (focusedControl_ && !focusedControl_->ContainsControl(Control)) {
        HWND h = focusedControl_->Handle();
        focusedControl_ = focusedControl_->Parent();
        if (!SendFocusMessage(h, CM_EXIT)) {
          done();
          return false;
        }
      }
      while (focusedControl_ != Control) {
        TWinControl* t = Control;
        while (t->Parent() != focusedControl_) t = t->Parent();
        focusedControl_ = t;
        if (!SendFocusMessage(t->Handle(), CM_ENTER)) {
          done();
          return false;
        }
      }
      Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
    }
  } catch (...) {
    done();
    throw;
  }
  done();
  return true;
}

bool TCustomForm::IsShortCut(TMessage&) {
  return false;
}

void TCustomForm::SendCancelMode(TControl* Sender) {
  if (active_ && activeControl_) activeControl_->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(Sender));
}

// -- Messages

void TCustomForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case WM_ACTIVATE:
      SetActive(LOWORD(Message.WParam) != WA_INACTIVE);
      return;
    case WM_QUERYENDSESSION:
      Message.Result = CloseQuery() ? 1 : 0;
      return;
    case WM_PAINT:
      controlState_.Include(csCustomPaint);
      inherited::Dispatch(Message);
      controlState_.Exclude(csCustomPaint);
      return;
    case CM_ACTIVATE:
      if (ComponentState().Contains(csReading))
        formState_.Include(fsActivated);
      else
        Activate();
      return;
    case CM_DEACTIVATE:
      Deactivate();
      return;
    case CM_SHOWINGCHANGED:
      CMShowingChanged(Message);
      return;
    case CM_RELEASE:
      Free();
      return;
    case CM_ICONCHANGED:
      IconChanged(this);
      return;
    case CM_DIALOGKEY:
      if (GetKeyState(VK_MENU) >= 0) {
        switch (Message.CharCode()) {
          case VK_TAB:
            if (GetKeyState(VK_CONTROL) >= 0) {
              SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
              Message.Result = 1;
              return;
            }
            break;
          case VK_LEFT:
          case VK_RIGHT:
          case VK_UP:
          case VK_DOWN:
            if (activeControl_ && activeControl_->Parent()) {
              activeControl_->Parent()->SelectNext(
                  activeControl_, Message.CharCode() == VK_RIGHT || Message.CharCode() == VK_DOWN, false);
              Message.Result = 1;
            }
            return;
        }
      }
      inherited::Dispatch(Message);
      return;
    default:
      inherited::Dispatch(Message);
      return;
  }
}

// ---- TMonitor -----------------------------------------------------------------------------------

TRect TMonitor::BoundsRect() const {
  MONITORINFO mi;
  if (!GetMonitorInfoW(handle_, &mi)) return {};
  return mi.rcMonitor;
}

TRect TMonitor::WorkareaRect() const {
  MONITORINFO mi;
  if (!GetMonitorInfoW(handle_, &mi)) return {};
  return mi.rcWork;
}

bool TMonitor::Primary() const {
  MONITORINFO mi;
  return GetMonitorInfoW(handle_, &mi) && (mi.dwFlags & MONITORINFOF_PRIMARY);
}

int TMonitor::PixelsPerInch() const {
  UINT x = 96, y = 96;
  GetDpiForMonitor(handle_, MDT_EFFECTIVE_DPI, &x, &y);
  return static_cast<int>(y);
}

// ---- TScreen ------------------------------------------------------------------------------------

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {
  HDC dc = GetDC(nullptr);
  pixelsPerInch_ = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  if (pixelsPerInch_ <= 0) pixelsPerInch_ = 96;
  hintFont_ = std::make_unique<TFont>();
  menuFont_ = std::make_unique<TFont>();
  messageFont_ = std::make_unique<TFont>();
  NONCLIENTMETRICSW ncm;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) {
    hintFont_->SetHandle(CreateFontIndirectW(&ncm.lfStatusFont));
    menuFont_->SetHandle(CreateFontIndirectW(&ncm.lfMenuFont));
    messageFont_->SetHandle(CreateFontIndirectW(&ncm.lfMessageFont));
  }
  hintFont_->SetColor(clInfoText);
  menuFont_->SetColor(clMenuText);
}

TScreen::~TScreen() {
  for (auto& [index, handle] : cursors_)
    if (index > 0 && handle) DestroyCursor(handle);
}

void TScreen::AddForm(TCustomForm* Form) {
  if (std::find(forms_.begin(), forms_.end(), Form) == forms_.end()) forms_.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), Form), forms_.end());
  if (activeForm_ == Form) activeForm_ = nullptr;
  if (focusedForm_ == Form) focusedForm_ = nullptr;
  if (activeControl_ && GetParentForm(activeControl_) == Form) activeControl_ = nullptr;
}

void TScreen::ControlRemoved(TControl* Control) {
  if (static_cast<TControl*>(activeControl_) == Control) activeControl_ = nullptr;
}

void TScreen::SetFocusState(TCustomForm* Form, TWinControl* Control) {
  const bool formChanged = activeForm_ != Form;
  activeForm_ = Form;
  auto it = std::find(forms_.begin(), forms_.end(), Form);
  if (it != forms_.end()) {
    forms_.erase(it);
    forms_.insert(forms_.begin(), Form);
  }
  const bool controlChanged = activeControl_ != Control;
  activeControl_ = Control;
  if (formChanged && OnActiveFormChange) OnActiveFormChange(this);
  if (controlChanged && OnActiveControlChange) OnActiveControlChange(this);
}

void TScreen::SetCursor(TCursor Value) {
  if (Value == cursor_) return;
  cursor_ = Value;
  if (Value == crDefault) {
    POINT p;
    GetCursorPos(&p);
    HWND w = WindowFromPoint(p);
    if (w && GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId()) {
      LRESULT hit = SendMessageW(w, WM_NCHITTEST, 0, MAKELPARAM(p.X, p.Y));
      SendMessageW(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w),
                   MAKELPARAM(static_cast<int>(hit), WM_MOUSEMOVE));
    }
  } else {
    ::qd::SetCursor(Cursors(Value));
  }
  ++cursorCount_;
}

HCURSOR TScreen::Cursors(TCursor Index) {
  for (auto& [i, h] : cursors_)
    if (i == Index) return h;
  LPCWSTR id = nullptr;
  switch (Index) {
    case crNone:
      return nullptr;
    case crArrow:
    case crDefault:
    case crDrag:
    case crMultiDrag:
      id = IDC_ARROW;
      break;
    case crCross:
      id = IDC_CROSS;
      break;
    case crIBeam:
      id = IDC_IBEAM;
      break;
    case crSizeAll:
      id = IDC_SIZEALL;
      break;
    case crSizeNESW:
      id = IDC_SIZENESW;
      break;
    case crSizeNS:
    case crVSplit:
      id = IDC_SIZENS;
      break;
    case crSizeNWSE:
      id = IDC_SIZENWSE;
      break;
    case crSizeWE:
    case crHSplit:
      id = IDC_SIZEWE;
      break;
    case crUpArrow:
      id = IDC_UPARROW;
      break;
    case crHourGlass:
    case crSQLWait:
      id = IDC_WAIT;
      break;
    case crNoDrop:
    case crNo:
      id = IDC_NO;
      break;
    case crAppStart:
      id = IDC_APPSTARTING;
      break;
    case crHelp:
      id = IDC_HELP;
      break;
    case crHandPoint:
      id = IDC_HAND;
      break;
    default:
      // An unknown index gives the default cursor.
      return Cursors(crDefault);
  }
  HCURSOR h = LoadCursorW(nullptr, id);
  cursors_.emplace_back(Index, h);
  return h;
}

void TScreen::SetCursors(TCursor Index, HCURSOR Handle) {
  for (auto& [i, h] : cursors_)
    if (i == Index) {
      if (i > 0 && h && h != Handle) DestroyCursor(h);
      h = Handle;
      return;
    }
  cursors_.emplace_back(Index, Handle);
}

int TScreen::Width() const {
  return GetSystemMetrics(SM_CXSCREEN);
}

int TScreen::Height() const {
  return GetSystemMetrics(SM_CYSCREEN);
}

TRect TScreen::DesktopRect() const {
  return Bounds(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

TRect TScreen::WorkAreaRect() const {
  RECT r{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

namespace {
BOOL CollectMonitor(HMONITOR h, HDC, LPRECT, LPARAM data) {
  reinterpret_cast<std::vector<HMONITOR>*>(data)->push_back(h);
  return TRUE;
}
}  // namespace

int TScreen::MonitorCount() {
  std::vector<HMONITOR> hs;
  EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&hs));
  bool same = hs.size() == monitors_.size();
  for (size_t i = 0; same && i < hs.size(); ++i) same = monitors_[i]->Handle() == hs[i];
  if (!same) {
    monitors_.clear();
    for (size_t i = 0; i < hs.size(); ++i)
      monitors_.push_back(std::make_unique<TMonitor>(hs[i], static_cast<int>(i)));
  }
  return static_cast<int>(monitors_.size());
}

TMonitor* TScreen::Monitors(int Index) {
  const int n = MonitorCount();
  if (Index < 0 || Index >= n) RaiseListIndexError(Index);
  return monitors_[static_cast<size_t>(Index)].get();
}

TMonitor* TScreen::MonitorOf(HMONITOR h) {
  MonitorCount();
  for (auto& m : monitors_)
    if (m->Handle() == h) return m.get();
  return nullptr;
}

TMonitor* TScreen::PrimaryMonitor() {
  const int n = MonitorCount();
  for (int i = 0; i < n; ++i)
    if (monitors_[static_cast<size_t>(i)]->Primary()) return monitors_[static_cast<size_t>(i)].get();
  return n ? monitors_[0].get() : nullptr;
}

TMonitor* TScreen::MonitorFromPoint(TPoint Point, DWORD Default) {
  return MonitorOf(::qd::MonitorFromPoint(Point, Default));
}

TMonitor* TScreen::MonitorFromRect(const TRect& Rect, DWORD Default) {
  return MonitorOf(::qd::MonitorFromRect(&Rect, Default));
}

TMonitor* TScreen::MonitorFromWindow(HWND Handle, DWORD Default) {
  return MonitorOf(::qd::MonitorFromWindow(Handle, Default));
}

// ---- Hints --------------------------------------------------------------------------------------

String GetShortHint(const String& Hint) {
  const size_t i = Hint.find(u'|');
  return i == String::npos ? Hint : Hint.substr(0, i);
}

String GetLongHint(const String& Hint) {
  const size_t i = Hint.find(u'|');
  return i == String::npos ? Hint : Hint.substr(i + 1);
}

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clInfoBk);
  if (Screen) Canvas()->SetFont(Screen->HintFont());
  Canvas()->Brush()->SetStyle(bsClear);
  visible_ = false;
}

void THintWindow::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  Params.WindowClass.style |= CS_SAVEBITS | CS_DROPSHADOW;
  Params.WndParent = nullptr;
}

void THintWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCHITTEST:
      Message.Result = HTTRANSPARENT;
      return;
    case CM_TEXTCHANGED:
      return;
    default:
      inherited::Dispatch(Message);
  }
}

void THintWindow::ActivateHint(TRect Rect, const String& AHint) {
  SetCaption(AHint);
  Rect.Bottom += 4;
  TRect desk = Screen ? Screen->DesktopRect() : Rect;
  if (Rect.Bottom > desk.Bottom) {
    const int h = Rect.Height();
    Rect.Top = desk.Bottom - h;
    Rect.Bottom = desk.Bottom;
  }
  if (Rect.Right > desk.Right) {
    const int w = Rect.Width();
    Rect.Left = desk.Right - w;
    Rect.Right = desk.Right;
  }
  if (Rect.Left < desk.Left) {
    Rect.Right += desk.Left - Rect.Left;
    Rect.Left = desk.Left;
  }
  if (Rect.Top < desk.Top) {
    Rect.Bottom += desk.Top - Rect.Top;
    Rect.Top = desk.Top;
  }
  UpdateBoundsRect(Rect);
  SetWindowPos(Handle(), HWND_TOPMOST, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(),
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Invalidate();
}

TRect THintWindow::CalcHintRect(int MaxWidth, const String& AHint, void*) {
  TRect r = Rect(0, 0, MaxWidth, 0);
  DrawTextW(Canvas()->Handle(), AHint.c_str(), static_cast<int>(AHint.size()), &r,
            DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  r.Right += 6;
  r.Bottom += 2;
  return r;
}

bool THintWindow::IsHintMsg(const MSG& Msg) {
  const UINT m = Msg.message;
  return (m >= WM_KEYFIRST && m <= WM_KEYLAST) || m == CM_ACTIVATE || m == CM_DEACTIVATE ||
         m == CM_APPKEYDOWN || m == CM_APPSYSCOMMAND || m == WM_COMMAND ||
         (m > WM_MOUSEMOVE && m <= WM_MOUSELAST) || m == WM_NCMOUSEMOVE;
}

void THintWindow::ReleaseHandle() {
  DestroyHandle();
}

void THintWindow::Paint() {
  TRect r = ClientRect();
  r.Left += 2;
  r.Top += 2;
  if (Screen) Canvas()->Font()->SetColor(Screen->HintFont()->Color());
  String text = GetText();
  DrawTextW(Canvas()->Handle(), text.c_str(), static_cast<int>(text.size()), &r,
            DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

}  // namespace qd
