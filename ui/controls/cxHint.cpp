#include "ui/controls/cxHint.h"

#include <algorithm>

#include "platform/os/kernel.h"
#include "platform/os/user.h"
#include "ui/controls/cxContainer.h"
#include "ui/controls/cxControls.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxCore.h"
#include "ui/lookandfeel/cxLookAndFeels.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxBaseHintWindow)
QD_IMPLEMENT_CLASS(TcxCustomHintWindow)
QD_IMPLEMENT_CLASS(TcxCustomHintStyle)
QD_IMPLEMENT_CLASS(TcxCustomHintStyleController)
QD_IMPLEMENT_CLASS(TcxHintController)
QD_IMPLEMENT_CLASS(TcxCustomHintHelper)
QD_IMPLEMENT_CLASS(TcxControlHintHelper)

const DWORD AAnimationStyleMap[cxhaFadeIn + 1] = {AW_HOR_POSITIVE, AW_HOR_NEGATIVE, AW_VER_POSITIVE,
                                                  AW_VER_NEGATIVE, AW_CENTER,       AW_HIDE,
                                                  AW_ACTIVATE,     AW_BLEND};

namespace {

TcxHintController* gHintController = nullptr;
TcxRegisteredClasses* gRegisteredHintStyles = nullptr;

bool HintSystemParam(UINT AAction) {
  BOOL value = FALSE;
  return SystemParametersInfoW(AAction, 0, &value, 0) && value;
}

bool IsAnyMouseButtonDown() {
  return GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0 ||
         GetAsyncKeyState(VK_MBUTTON) < 0;
}

}  // namespace

// --- TcxBaseHintWindow ----------------------------------------------------------------------

TcxBaseHintWindow::TcxBaseHintWindow(TComponent* AOwner) : THintWindow(AOwner) {
  FcxCanvas = std::make_unique<TcxCanvas>(Canvas());
}

TcxBaseHintWindow::~TcxBaseHintWindow() = default;

void TcxBaseHintWindow::ActivateHint(TRect R, const String& AHint) {
  if (FStandardHint) {
    inherited::ActivateHint(R, AHint);
    return;
  }
  FActivating = true;
  try {
    SetCaption(AHint);
    AdjustActivateRect(R);
    UpdateBoundsRect(R);
    SetWindowPos(Handle(), HWND_TOPMOST, R.Left, R.Top, R.Width(), R.Height(),
                 SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    CheckExecuteAnimation(AHint);
    Show();
    FHintAreaBounds = TRect{};
  } catch (...) {
    FLastActive = GetTickCount();
    FEverActivated = true;
    FActivating = false;
    throw;
  }
  FLastActive = GetTickCount();
  FEverActivated = true;
  FActivating = false;
}

void TcxBaseHintWindow::AdjustActivateRect(TRect& R) {
  MakeVisibleOnDesktop(R, GetMouseCursorPos());
}

void TcxBaseHintWindow::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const TRect work = GetDesktopWorkArea(TPoint{ALeft, ATop});
  ALeft = std::max(std::min(ALeft, work.Right - AWidth), work.Left);
  ATop = std::max(std::min(ATop, work.Bottom - AHeight), work.Top);
  inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TcxBaseHintWindow::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  if (FStandardHint) return;
  if (FBorderStyle == bsNone) Params.Style &= ~WS_BORDER;
  Params.ExStyle |= WS_EX_TOPMOST;
}

void TcxBaseHintWindow::DisableRegion() {
  if (HandleAllocated()) SetWindowRgn(Handle(), nullptr, TRUE);
}

void TcxBaseHintWindow::SetHintAreaBounds(const TRect& ABounds, bool AUseMousePos) {
  FHintAreaBounds = ABounds;
  FUseMousePos = AUseMousePos;
}

void TcxBaseHintWindow::Show() {
  SetDoubleBuffered(HasWindowRegion());
  ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  if (HasWindowRegion() && FHasAnimation)
    RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
  else
    Invalidate();
}

void TcxBaseHintWindow::CheckExecuteAnimation(const String& AHint) {
  FHasAnimation = false;
  FLastAnimationFlags = 0;
  // The platform's window-animation function is always present here.
  const bool wanted =
      (!FEverActivated || GetTickCount() - FLastActive > 250) && static_cast<int>(AHint.size()) < 100;
  TcxHintAnimationStyle style = FAnimationStyle;
  if (wanted && style != cxhaNone) {
    if (!HintSystemParam(SPI_GETTOOLTIPANIMATION))
      style = cxhaNone;
    else if (style == cxhaAuto)
      style = HintSystemParam(SPI_GETTOOLTIPFADE) ? cxhaFadeIn : cxhaSlideDownward;
  }
  if (wanted && style != cxhaNone) {
    const bool xp = IsWinXPOrLater();
    if (xp && HasWindowRegion())
      EnableRegion();
    else
      DisableRegion();
    FLastAnimationFlags = AAnimationStyleMap[style] | AW_SLIDE;
    AnimateWindow(Handle(), static_cast<DWORD>(FAnimationDelay), FLastAnimationFlags);
    FHasAnimation = true;
    if (!xp && HasWindowRegion()) EnableRegion();
  }
  if (!HasWindowRegion())
    DisableRegion();
  else if (!FHasAnimation && IsWinXPOrLater())
    EnableRegion();
}

void TcxBaseHintWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED:
      if (!FActivating) inherited::Dispatch(Message);
      return;
    case WM_ERASEBKGND:
      if (FNeedEraseBackground || FStandardHint)
        inherited::Dispatch(Message);
      else
        Message.Result = 1;
      return;
    case WM_WINDOWPOSCHANGING:
      if (!FStandardHint && !FActivating) {
        auto* pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
        if (pos) pos->flags &= ~SWP_SHOWWINDOW;
      }
      inherited::Dispatch(Message);
      return;
    default:
      inherited::Dispatch(Message);
  }
}

bool TcxCustomHintWindow::UseRightToLeftAlignment() const {
  return FStandardHint && inherited::UseRightToLeftAlignment();
}

// --- TcxCustomHintStyleController --------------------------------------------------------------

TcxCustomHintStyleController::TcxCustomHintStyleController(TComponent* AOwner) : TcxCustomComponent(AOwner) {
  FLookAndFeel = std::make_unique<TcxLookAndFeel>(this);
  CreateHintStyle();
}

TcxCustomHintStyleController::~TcxCustomHintStyleController() {
  FDestroying = true;
  const std::vector<TcxCustomHintStyle*> listeners = FListeners;
  for (TcxCustomHintStyle* listener : listeners) listener->ControllerFreeNotification(this);
  DestroyHintStyle();
  FLookAndFeel.reset();
  FListeners.clear();
}

void TcxCustomHintStyleController::CreateHintStyle() {
  // An unknown or missing style class leaves the controller without a style.
  if (TClass cls = GetHintStyleClass()) {
    FHintStyle.reset(dynamic_cast<TcxCustomHintStyle*>(cls->Create(this)));
    if (FHintStyle)
      FHintStyle->OnChanged = TNotifyEvent(this, &TcxCustomHintStyleController::HintStyleChanged);
  }
  if (TClass cls = GetHintWindowClass()) {
    TObject* window = cls->Create(this);
    FHintWindow.reset(dynamic_cast<TcxCustomHintWindow*>(window));
    if (!FHintWindow) delete window;
  }
  if (gHintController) gHintController->RegisterHintStyleController(this);
}

void TcxCustomHintStyleController::DestroyHintStyle() {
  if (gHintController) gHintController->UnRegisterHintStyleController(this);
  FHintWindow.reset();
  FHintStyle.reset();
}

void TcxCustomHintStyleController::HintStyleChanged(TObject*) {
  Changed();
}

TClass TcxCustomHintStyleController::GetHintWindowClass() {
  return FHintStyle ? FHintStyle->GetHintWindowClass() : nullptr;
}

void TcxCustomHintStyleController::EndUpdate() {
  if (FUpdateCount <= 0) return;
  if (--FUpdateCount == 0) SetApplicationHintProperties();
}

void TcxCustomHintStyleController::SetApplicationHintProperties() {
  if (ComponentState().Contains(csDesigning) || FUpdateCount > 0 || !Application) return;
  Application->SetHintShortPause(FHintShortPause);
  Application->SetHintPause(FHintPause);
  Application->SetHintHidePause(FHintHidePause);
}

void TcxCustomHintStyleController::SetHintShortPause(int AValue) {
  FHintShortPause = AValue;
  SetApplicationHintProperties();
}
void TcxCustomHintStyleController::SetHintPause(int AValue) {
  FHintPause = AValue;
  SetApplicationHintProperties();
}
void TcxCustomHintStyleController::SetHintHidePause(int AValue) {
  FHintHidePause = AValue;
  SetApplicationHintProperties();
}

void TcxCustomHintStyleController::SetHintStyleClass(TcxCustomHintStyleClass AValue) {
  if (AValue == FHintStyleClass) return;
  DestroyHintStyle();
  FHintStyleClass = AValue;
  CreateHintStyle();
}

String TcxCustomHintStyleController::HintStyleClassName() const {
  return FHintStyle ? FHintStyle->ClassName() : String();
}

void TcxCustomHintStyleController::SetHintStyleClassName(const String& AValue) {
  SetHintStyleClass(cxRegisteredHintStyles()->FindByClassName(AValue));
}

void TcxCustomHintStyleController::SetHintStyle(TcxCustomHintStyle* AValue) {
  if (FHintStyle && AValue) FHintStyle->Assign(AValue);
}

void TcxCustomHintStyleController::SetLookAndFeel(TcxLookAndFeel* AValue) {
  if (AValue) FLookAndFeel->Assign(AValue);
}

void TcxCustomHintStyleController::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomHintStyleController*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  BeginUpdate();
  try {
    OnHintStyleChanged = source->OnHintStyleChanged;
    OnShowHint = source->OnShowHint;
    OnShowHintEx = source->OnShowHintEx;
    SetHintShortPause(source->FHintShortPause);
    SetHintPause(source->FHintPause);
    SetHintHidePause(source->FHintHidePause);
    SetHintStyleClassName(source->HintStyleClassName());
    SetHintStyle(source->HintStyle());
    SetLookAndFeel(source->LookAndFeel());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxCustomHintStyleController::Loaded() {
  inherited::Loaded();
  SetApplicationHintProperties();
  Changed();
}

void TcxCustomHintStyleController::Changed() {
  if (FDestroying || ComponentState().Contains(csDestroying)) return;
  if (FHintStyle && OnHintStyleChanged) OnHintStyleChanged(this, FHintStyle.get());
  const std::vector<TcxCustomHintStyle*> listeners = FListeners;
  for (TcxCustomHintStyle* listener : listeners) DoHintStyleChanged(listener);
}

void TcxCustomHintStyleController::DoHintStyleChanged(TcxCustomHintStyle* AStyle) {
  AStyle->ControllerChangedNotification(this);
  if (OnHintStyleChanged) OnHintStyleChanged(this, AStyle);
}

void TcxCustomHintStyleController::AddListener(TcxCustomHintStyle* AListener) {
  if (AListener && std::find(FListeners.begin(), FListeners.end(), AListener) == FListeners.end())
    FListeners.push_back(AListener);
}

void TcxCustomHintStyleController::RemoveListener(TcxCustomHintStyle* AListener) {
  if (FDestroying) return;
  FListeners.erase(std::remove(FListeners.begin(), FListeners.end(), AListener), FListeners.end());
}

void TcxCustomHintStyleController::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && FHintStyle) FHintStyle->ComponentRemoved(AComponent);
}

void TcxCustomHintStyleController::DoShowHint(String& AHintStr, bool& ACanShow, THintInfo& AHintInfo) {
  AHintInfo.HintWindowClass = GetHintWindowClass();
  if (FHintStyle) FHintStyle->DoShowHint(AHintStr, ACanShow, AHintInfo);
  if (OnShowHint) OnShowHint(this, AHintStr, ACanShow, AHintInfo);
  String caption;
  if (OnShowHintEx) OnShowHintEx(this, caption, AHintStr, ACanShow, AHintInfo);
  if (FHintWindow) FHintWindow->SetCaption(caption);
}

void TcxCustomHintStyleController::ShowHint(int X, int Y, int AMaxWidth, const String& AHint,
                                            const String& ACaption) {
  if (gHintController) gHintController->SetHintedControl(FindDragTarget(TPoint{X, Y}, true));
  if (FHintWindow) FHintWindow->ShowHint(X, Y, AMaxWidth, AHint, ACaption);
}

void TcxCustomHintStyleController::HideHint() {
  cxRemoveHintedControl();
  if (FHintWindow && FHintWindow->HandleAllocated() && IsWindowVisible(FHintWindow->Handle()))
    ShowWindow(FHintWindow->Handle(), SW_HIDE);
}

// --- TcxHintController -----------------------------------------------------------------------------

TcxHintController::TcxHintController(TComponent* AOwner) : TComponent(AOwner) {}

TcxHintController::~TcxHintController() {
  SetHintedControl(nullptr);
  // Controllers still registered at shut-down give the application its own hints back.
  if (!FControllerList.empty() && Application) {
    Application->OnShowHint = FSavedApplicationOnShowHint;
    Application->SetHintWindowClass(FSavedHintWindowClass);
  }
}

void TcxHintController::SetHintedControl(TControl* AValue) {
  if (AValue == FHintedControl) return;
  if (FHintedControl) FHintedControl->RemoveFreeNotification(this);
  FHintedControl = AValue;
  if (FHintedControl) FHintedControl->FreeNotification(this);
}

void TcxHintController::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FHintedControl) FHintedControl = nullptr;
}

TClass TcxHintController::GetCurrentHintWindowClass() {
  return FControllerList.empty() ? FSavedHintWindowClass : FControllerList.back()->GetHintWindowClass();
}

void TcxHintController::RegisterHintStyleController(TcxCustomHintStyleController* AController) {
  if (!AController || AController->ComponentState().Contains(csDesigning) || !Application) return;
  if (std::find(FControllerList.begin(), FControllerList.end(), AController) != FControllerList.end()) return;
  if (FControllerList.empty()) {
    FSavedApplicationOnShowHint = Application->OnShowHint;
    FSavedHintWindowClass = Application->HintWindowClass();
    Application->OnShowHint = TShowHintEvent(this, &TcxHintController::ShowHintHandler);
  }
  Application->SetHintWindowClass(AController->GetHintWindowClass());
  FControllerList.push_back(AController);
}

void TcxHintController::UnRegisterHintStyleController(TcxCustomHintStyleController* AController) {
  if (!AController || AController->ComponentState().Contains(csDesigning) || !Application) return;
  auto it = std::find(FControllerList.begin(), FControllerList.end(), AController);
  if (it == FControllerList.end()) return;
  const TClass before = GetCurrentHintWindowClass();
  FControllerList.erase(it);
  if (Application->HintWindowClass() == before) Application->SetHintWindowClass(GetCurrentHintWindowClass());
  if (FControllerList.empty()) {
    Application->OnShowHint = FSavedApplicationOnShowHint;
    FSavedApplicationOnShowHint = TShowHintEvent();
  }
}

TControl* TcxHintController::FindHintedControl() {
  if (FHintedControl) return FHintedControl;
  if (HWND capture = GetCapture()) return FindControl(capture);
  return FindControl(cxWindowFromPoint(GetMouseCursorPos()));
}

TcxCustomHintStyleController* TcxHintController::FindHintStyleController() {
  for (TControl* control = FindHintedControl(); control; control = control->Parent()) {
    if (auto* found = dynamic_cast<TcxCustomHintStyleController*>(
            cxFindComponent(control, TcxCustomHintStyleController::StaticClass())))
      return found;
  }
  for (auto it = FControllerList.rbegin(); it != FControllerList.rend(); ++it)
    if ((*it)->Global()) return *it;
  return nullptr;
}

TClass TcxHintController::GetHintWindowClass() {
  TcxCustomHintStyleController* controller = FindHintStyleController();
  return controller ? controller->GetHintWindowClass() : nullptr;
}

void TcxHintController::ShowHintHandler(String& HintStr, bool& CanShow, THintInfo& HintInfo) {
  SetHintedControl(HintInfo.HintControl);
  if (TcxCustomHintStyleController* controller = FindHintStyleController())
    controller->DoShowHint(HintStr, CanShow, HintInfo);
  if (FSavedApplicationOnShowHint) FSavedApplicationOnShowHint(HintStr, CanShow, HintInfo);
  if (!CanShow || HintStr.empty()) SetHintedControl(nullptr);
}

TcxHintController* dxHintController() {
  return gHintController;
}

// --- TcxCustomHintHelper --------------------------------------------------------------------------

TcxCustomHintHelper::~TcxCustomHintHelper() {
  HideHint();
  delete FHintWindow;
}

bool TcxCustomHintHelper::PtInCaller(const TPoint& P) {
  if (FHintableObject) return false;
  const TRect r = FHintAreaBounds.IsEmpty() ? GetHintControlBounds() : FHintAreaBounds;
  return cxRectPtIn(r, P);
}

bool TcxCustomHintHelper::CanShowHint() {
  if (IsSuppressHintOnMouseDown() && IsAnyMouseButtonDown()) return false;
  return cxCanShowHint(GetHintWinControl());
}

void TcxCustomHintHelper::CorrectHintWindowRect(TRect& R) {
  if (!FHintWindow || !FHintWindow->HandleAllocated()) {
    R = cxRectInflate(R, 2, 2);
    return;
  }
  TRect window;
  GetWindowRect(FHintWindow->Handle(), &window);
  const TPoint client = FHintWindow->ClientToScreen(TPoint{0, 0});
  R = cxRectInflate(R, client.X - window.Left + 2, client.Y - window.Top + 2);
}

TRect TcxCustomHintHelper::GetHintControlBounds() {
  TWinControl* control = GetHintWinControl();
  return control ? control->ClientRect() : TRect{};
}

int TcxCustomHintHelper::GetHintHidePause() {
  return Application ? Application->HintHidePause() : 2500;
}

TClass TcxCustomHintHelper::GetHintWindowClass() {
  return cxGetHintWindowClass();
}

void TcxCustomHintHelper::GetHintWindowRect(const TRect&, const TRect& ATextRect, TRect& R, bool AIsMultiLine,
                                            const String& AText) {
  R = FHintWindow->CalcHintRect(AIsMultiLine ? ATextRect.Width() : 32000, AText, nullptr);
  R.Right -= 6;
  R.Bottom -= 2;
  TPoint origin{ATextRect.Left, ATextRect.Top};
  // This platform has no Middle-East locale switch: a right-to-left hint window decides alone.
  if (FHintWindow->UseRightToLeftAlignment()) origin.X = ATextRect.Right - R.Width();
  if (TWinControl* control = GetHintWinControl()) origin = control->ClientToScreen(origin);
  R = TRect{origin.X, origin.Y, origin.X + R.Width(), origin.Y + R.Height()};
  CorrectHintWindowRect(R);
  MakeVisibleOnDesktop(R, TPoint{R.Left, R.Top});
  R.Bottom -= 4;
}

void TcxCustomHintHelper::RecreateHintWindow() {
  cxRecreateHintWindow(FHintWindow, GetHintWindowClass(), Application ? Application->HintColor() : clInfoBk);
}

void TcxCustomHintHelper::ShowHint(const TRect& AHintAreaBounds, const TRect& ATextRect, TFont* AFont,
                                   TObject* AHintableObject, bool AIsMultiLine, const String& AText) {
  if (!CanShowHint()) return;
  // "The same element" needs a hint shown for it since the last cancel: without that an area
  // hint (no element) would match the empty record and never show.
  if (FHasLastHint && AHintableObject == FLastHintableObject) {
    bool showAgain = true;
    if (IsHintAtMousePos() && FHintHideTimer) {
      const TPoint pos = GetMouseCursorPos();
      if (pos != FLastHintMousePos)
        RestartHintHideTimer();
      else
        showAgain = false;
    } else if (UseHintHidePause()) {
      if (!IsHintAtMousePos() && AText != FLastHintText) ResetLastHintElement();
      return;
    }
    if (!showAgain) return;
  } else if (FLastHintableObject) {
    CancelHint();
  }

  TClass windowClass = GetHintWindowClass();
  if (!FHintWindow || (windowClass && FHintWindow->ClassType() != windowClass)) RecreateHintWindow();
  if (!FHintWindow) return;
  if (FHintWindow->HandleAllocated() && IsWindowVisible(FHintWindow->Handle())) {
    if (AText == FLastHintText && ATextRect == FHintTextRect) return;
    EndMouseTracking(this);
  }
  if (AFont) FHintWindow->Canvas()->SetFont(AFont);
  if (TWinControl* owner = GetOwnerWinControl()) FHintWindow->SetBiDiMode(owner->BiDiMode());
  TRect r;
  GetHintWindowRect(AHintAreaBounds, ATextRect, r, AIsMultiLine, AText);

  THintInfo info;
  if (!cxProcessControlHintInfo(info, FHintWindow, GetOwnerWinControl(), GetHintHidePause(), AHintableObject,
                                r, AText))
    return;
  FLastHintText = AText;
  FHintTextRect = ATextRect;
  FHintAreaBounds = AHintAreaBounds;
  FHintableObject = AHintableObject;
  FLastHintableObject = AHintableObject;
  FHasLastHint = true;
  if (auto* helper = dynamic_cast<IcxHintWindowHelper*>(FHintWindow)) {
    TRect area = AHintAreaBounds;
    if (TWinControl* control = GetHintWinControl()) area = control->ClientToScreen(area);
    helper->SetHintAreaBounds(area, IsHintAtMousePos());
  }
  cxActivateHint(FHintWindow, r, info.HintStr);
  FHintHidePause = info.HideTimeout;
  BeginMouseTracking(GetHintWinControl(), FHintAreaBounds, this);
  StartHintCheckerTimers();
}

void TcxCustomHintHelper::HideHint() {
  StopHintCheckerTimers();
  EndMouseTracking(this);
  FHintableObject = nullptr;
  FHintAreaBounds = TRect{};
  if (FHintWindow && FHintWindow->HandleAllocated()) ShowWindow(FHintWindow->Handle(), SW_HIDE);
  if (!UseHintHidePause()) FLastHintText.clear();
}

void TcxCustomHintHelper::CancelHint() {
  HideHint();
  ResetLastHintElement();
}

void TcxCustomHintHelper::MouseDown() {
  if (IsSuppressHintOnMouseDown()) HideHint();
}

void TcxCustomHintHelper::StartHintCheckerTimers() {
  if (FHintCheckerTimer) return;
  FHintCheckerTimer = std::make_unique<TcxTimer>(nullptr);
  FHintCheckerTimer->SetInterval(100);
  FHintCheckerTimer->SetOnTimer(TNotifyEvent(this, &TcxCustomHintHelper::HintCheckerTimerHandler));
  if (UseHintHidePause()) {
    FHintHideTimer = std::make_unique<TcxTimer>(nullptr);
    FHintHideTimer->SetInterval(static_cast<uint32_t>(std::max(FHintHidePause, 1)));
    FHintHideTimer->SetOnTimer(TNotifyEvent(this, &TcxCustomHintHelper::HintHideTimerHandler));
  }
}

void TcxCustomHintHelper::StopHintCheckerTimers() {
  FHintCheckerTimer.reset();
  FHintHideTimer.reset();
}

void TcxCustomHintHelper::RestartHintHideTimer() {
  FLastHintMousePos = GetMouseCursorPos();
  if (FHintHideTimer) FHintHideTimer->Reset();
}

void TcxCustomHintHelper::HintCheckerTimerHandler(TObject*) {
  if (!CanShowHint()) CancelHint();
}

void TcxCustomHintHelper::HintHideTimerHandler(TObject*) {
  HideHint();
}

TWinControl* TcxControlHintHelper::GetHintWinControl() {
  return GetHintControl();
}

TWinControl* TcxControlHintHelper::GetOwnerWinControl() {
  return GetOwnerControl();
}

TRect TcxControlHintHelper::GetHintControlBounds() {
  TcxControl* control = GetHintControl();
  return control ? control->GetBounds() : TRect{};
}

// --- Unit functions ------------------------------------------------------------------------------

void cxRecreateHintWindow(THintWindow*& AHintWindow, TClass AHintWindowClass, TColor AColor) {
  delete AHintWindow;
  AHintWindow = nullptr;
  if (!AHintWindowClass) AHintWindowClass = THintWindow::StaticClass();
  TObject* window = AHintWindowClass->Create(nullptr);
  AHintWindow = dynamic_cast<THintWindow*>(window);
  if (!AHintWindow) {
    delete window;
    return;
  }
  AHintWindow->SetColor(AColor);
}

void ValidateHintWindowParent(THintWindow* AHintWindow) {
  if (!AHintWindow || !Application || !AHintWindow->HandleAllocated()) return;
  if (GetParent(AHintWindow->Handle()) != Application->Handle()) {
    ShowWindow(AHintWindow->Handle(), SW_HIDE);
    SetWindowLongPtrW(AHintWindow->Handle(), GWLP_HWNDPARENT,
                      reinterpret_cast<LONG_PTR>(Application->Handle()));
  }
}

void cxActivateHint(THintWindow* AHintWindow, const TRect& R, const String& AText) {
  ValidateHintWindowParent(AHintWindow);
  AHintWindow->ActivateHint(R, AText);
}

bool cxProcessControlHintInfo(THintInfo& AHintInfo, THintWindow*& AHintWindow, TControl* AControl,
                              int AHideTimeout, void* AHintData, TRect& R, const String& AText) {
  AHintInfo = THintInfo{};
  AHintInfo.HintControl = AControl;
  AHintInfo.HintWindowClass = AHintWindow ? AHintWindow->ClassType() : nullptr;
  AHintInfo.HintPos = TPoint{R.Left, R.Top};
  AHintInfo.HintMaxWidth = Screen ? Screen->Width() : 32000;
  AHintInfo.HintColor = Application ? Application->HintColor() : clInfoBk;
  AHintInfo.ReshowTimeout = 0;
  AHintInfo.HideTimeout =
      AHideTimeout > 0 ? AHideTimeout : (Application ? Application->HintHidePause() : 2500);
  AHintInfo.HintStr = AText;
  AHintInfo.HintData = AHintData;
  if (AControl) {
    AHintInfo.CursorPos = AControl->ScreenToClient(GetMouseCursorPos());
    AHintInfo.CursorRect = TRect{0, 0, AControl->Width(), AControl->Height()};
  }
  if (!Application || !Application->OnShowHint) return true;
  const THintInfo copy = AHintInfo;
  bool canShow = true;
  Application->OnShowHint(AHintInfo.HintStr, canShow, AHintInfo);
  if (canShow && !AHintInfo.HintStr.empty()) {
    const bool unchanged =
        AHintInfo.HintControl == copy.HintControl && AHintInfo.HintWindowClass == copy.HintWindowClass &&
        AHintInfo.HintPos == copy.HintPos && AHintInfo.HintMaxWidth == copy.HintMaxWidth &&
        AHintInfo.HintColor == copy.HintColor && AHintInfo.CursorRect == copy.CursorRect &&
        AHintInfo.CursorPos == copy.CursorPos && AHintInfo.ReshowTimeout == copy.ReshowTimeout &&
        AHintInfo.HideTimeout == copy.HideTimeout && AHintInfo.HintStr == copy.HintStr &&
        AHintInfo.HintData == copy.HintData;
    if (!(cxGetHintStyleController() == nullptr && unchanged)) {
      TClass wanted = AHintInfo.HintWindowClass
                          ? AHintInfo.HintWindowClass
                          : (Application->HintWindowClass() ? Application->HintWindowClass()
                                                            : THintWindow::StaticClass());
      if (!AHintWindow || AHintWindow->ClassType() != wanted)
        cxRecreateHintWindow(AHintWindow, wanted, AHintInfo.HintColor);
      if (AHintWindow) {
        if (AControl) AHintWindow->SetBiDiMode(AControl->BiDiMode());
        const TRect calc =
            AHintWindow->CalcHintRect(AHintInfo.HintMaxWidth, AHintInfo.HintStr, AHintInfo.HintData);
        R = TRect{AHintInfo.HintPos.X, AHintInfo.HintPos.Y, AHintInfo.HintPos.X + calc.Width(),
                  AHintInfo.HintPos.Y + calc.Height()};
      }
    }
  }
  return canShow;
}

TcxRegisteredClasses* cxRegisteredHintStyles() {
  if (!gRegisteredHintStyles) gRegisteredHintStyles = new TcxRegisteredClasses();
  return gRegisteredHintStyles;
}

TcxCustomHintStyleController* cxGetHintStyleController() {
  return gHintController ? gHintController->FindHintStyleController() : nullptr;
}

TClass cxGetHintWindowClass() {
  TcxCustomHintStyleController* controller = cxGetHintStyleController();
  TClass cls = controller ? controller->GetHintWindowClass() : nullptr;
  if (cls) return cls;
  if (Application && Application->HintWindowClass()) return Application->HintWindowClass();
  return THintWindow::StaticClass();
}

void cxRemoveHintedControl() {
  if (gHintController) gHintController->SetHintedControl(nullptr);
}

namespace cxHint {

void Initialize() {
  if (!gHintController) gHintController = new TcxHintController(nullptr);
}

void Finalize() {
  delete gHintController;
  gHintController = nullptr;
  delete gRegisteredHintStyles;
  gRegisteredHintStyles = nullptr;
}

}  // namespace cxHint

}  // namespace qd
