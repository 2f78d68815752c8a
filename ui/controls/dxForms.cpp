// Forms that rescale with the pixel density of their monitor.
#include "ui/controls/dxForms.h"

#include <algorithm>

#include "platform/base/mathutil.h"
#include "platform/classes/rtti.h"
#include "platform/forms/imglist.h"
#include "platform/forms/menus.h"
#include "platform/os/user.h"
#include "ui/controls/cxControls.h"
#include "ui/controls/cxControlHelper.h"
#include "ui/controls/cxControlsWindowUtils.h"
#include "ui/controls/cxControlsWndProc.h"
#include "ui/core/cxClasses.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/cxWindowGeometry.h"
#include "ui/core/dxHooks.h"
#include "ui/core/cxClassesComponents.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/core/dxThreading.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxCustomForm)
QD_IMPLEMENT_CLASS(TdxForm)
QD_IMPLEMENT_CLASS(TdxCustomFloatForm)

bool dxAutoReplaceImageListReferencesOnDPIChanges = true;

namespace {

// The forms being rescaled now.
std::vector<TWinControl*>& ScalingContainers() {
  static std::vector<TWinControl*> list;
  return list;
}

void CollectLockedControls(TWinControl* AControl, std::vector<TControl*>& AList) {
  for (int i = 0; i < AControl->ControlCount(); ++i) {
    TControl* child = AControl->Controls(i);
    AList.push_back(child);
    if (auto* win = dynamic_cast<TWinControl*>(child)) CollectLockedControls(win, AList);
  }
}

}  // namespace

// --- TdxScalableForm -------------------------------------------------------------------------------

template <class TBase>
TdxScalableForm<TBase>::TdxScalableForm(TComponent* AOwner) : TBase(AOwner) {
  InitializeNewForm();
}

template <class TBase>
TdxScalableForm<TBase>::TdxScalableForm(TComponent* AOwner, int Dummy) : TBase(AOwner, Dummy) {
  InitializeNewForm();
}

template <class TBase>
TdxScalableForm<TBase>::~TdxScalableForm() {
  TdxUIThreadSyncService::Unsubscribe(this);
}

template <class TBase>
void TdxScalableForm<TBase>::BeforeDestruction() {
  TBase::BeforeDestruction();
  cxBroadcastRemoveNotifications(this);
}

template <class TBase>
bool TdxScalableForm<TBase>::IsRightToLeftLayout() const {
  return FRightToLeftLayout == bTrue || (FRightToLeftLayout == bDefault && this->UseRightToLeftAlignment());
}

template <class TBase>
void TdxScalableForm<TBase>::SetRightToLeftLayout(TdxDefaultBoolean Value) {
  if (FRightToLeftLayout == Value) return;
  FRightToLeftLayout = Value;
  if (IsRightToLeftLayout() != FRightToLeftApplied) RightToLeftLayoutChanged();
}

template <class TBase>
void TdxScalableForm<TBase>::RightToLeftLayoutChanged() {
  FRightToLeftApplied = IsRightToLeftLayout();
  if (FRightToLeftApplied)
    TdxFormRightToLeftLayoutHelper::ResetMenusBiDiMode(this);
  else
    TdxFormRightToLeftLayoutHelper::SetMenusParentBiDiMode(this);
  if (this->HandleAllocated()) this->RecreateWnd();
}

template <class TBase>
void TdxScalableForm<TBase>::CreateParams(TCreateParams& Params) {
  TBase::CreateParams(Params);
  if (FRightToLeftApplied) TdxFormRightToLeftLayoutHelper::AddRightToLeftFormExStyle(Params);
}

template <class TBase>
TPoint TdxScalableForm<TBase>::GetClientOrigin() {
  TPoint p = TBase::GetClientOrigin();
  if (FRightToLeftApplied) p.X -= this->ClientWidth();
  return p;
}

template <class TBase>
void TdxScalableForm<TBase>::CMBiDiModeChanged(TMessage& Message) {
  TBase::Dispatch(Message);
  if (IsRightToLeftLayout() == FRightToLeftApplied) return;
  // Recreating the window while it is being shown would lose the showing: it waits for the
  // message loop.
  if (this->FormState().Contains(fsShowing))
    TdxUIThreadSyncService::EnqueueInvokeInUIThread(this, [this] {
      if (IsRightToLeftLayout() != FRightToLeftApplied) RightToLeftLayoutChanged();
    });
  else
    RightToLeftLayoutChanged();
}

template <class TBase>
void TdxScalableForm<TBase>::InitializeNewForm() {
  this->SetCurrentPPI(this->PixelsPerInch());
  FScaleFactor = std::make_unique<TdxScaleFactor>();
  FScaleFactor->Assign(dxGetFormDPI(this), dxDefaultDPI, false);
}

template <class TBase>
void TdxScalableForm<TBase>::ChangeScale(int M, int D, bool isDpiChange) {
  const int32_t formDPI = dxGetFormDPI(this);
  FScaleFactor->Change(M, D);
  TBase::ChangeScale(M, D, isDpiChange);
  ScaleOwnedComponents(MulDiv(formDPI, M, D));
  ScaleFactorChanged(M, D);
}

template <class TBase>
void TdxScalableForm<TBase>::ScaleFactorChanged(int32_t, int32_t) {
  UpdateImageLists();
}

template <class TBase>
void TdxScalableForm<TBase>::UpdateImageLists() {
  if (dxAutoReplaceImageListReferencesOnDPIChanges)
    TdxFormImageListHelper::Execute(
        MulDiv(dxDefaultDPI, FScaleFactor->Numerator(), FScaleFactor->Denominator()), this);
}

template <class TBase>
void TdxScalableForm<TBase>::ScaleControlsForDpi(int NewPPI) {
  this->DisableAlign();
  struct Enable {
    TdxScalableForm* Form;
    ~Enable() { Form->EnableAlign(); }
  } enable{this};
  const int32_t formDPI = dxGetFormDPI(this);
  FScaleFactor->Change(NewPPI, formDPI);
  TBase::ScaleControlsForDpi(NewPPI);
  TdxFormHelper::ScaleComponentsForDpi(this, NewPPI);
  ScaleFactorChanged(NewPPI, formDPI);
}

template <class TBase>
void TdxScalableForm<TBase>::ScaleBy(int M, int D) {
  ScaleForPPI(MulDiv(dxGetFormDPI(this), M, D));
}

template <class TBase>
void TdxScalableForm<TBase>::ScaleForPPI(int NewPPI) {
  if (TdxFormHelper::IsScaleChanging(this))
    TBase::ScaleForPPI(NewPPI);
  else
    ScaleForPPI(NewPPI, nullptr);
}

template <class TBase>
void TdxScalableForm<TBase>::ScaleForPPI(int32_t TargetDPI, const TRect* WindowRect) {
  TdxFormHelper::ScaleForPPI(this, TargetDPI, false, WindowRect);
}

template <class TBase>
void TdxScalableForm<TBase>::ScaleForCurrentDpi() {
  this->DisableAlign();
  struct Enable {
    TdxScalableForm* Form;
    ~Enable() { Form->EnableAlign(); }
  } enable{this};
  if (this->Scaled() && !this->ComponentState().Contains(csDesigning) && !this->Parent())
    ScaleForPPI(dxGetTargetDPI(this));
  TdxFormHelper::ResetScalingFlags(this);
  this->Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
}

template <class TBase>
void TdxScalableForm<TBase>::DoShow() {
  TBase::DoShow();
  ScaleForCurrentDpi();
}

template <class TBase>
void TdxScalableForm<TBase>::SetParent(TWinControl* AParent) {
  if (!TcxControlHelper::CanSetParent(this, AParent)) return;
  TBase::SetParent(AParent);
  TcxControlHelper::UpdateScaleFactorOnParentChange(this);
}

template <class TBase>
void TdxScalableForm<TBase>::DpiChanged(TMessage& Message) {
  if (!this->Scaled()) return;
  const TRect r = Message.LParam ? TRect(*reinterpret_cast<const RECT*>(Message.LParam)) : TRect{};
  TdxFormHelper::ScaleForPPI(this, HIWORD(Message.WParam), true, Message.LParam ? &r : nullptr);
}

template <class TBase>
void TdxScalableForm<TBase>::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_BIDIMODECHANGED) {
    CMBiDiModeChanged(Message);
    return;
  }
  if (Message.Msg != WM_DPICHANGED) {
    TBase::Dispatch(Message);
    return;
  }
  if (TdxFormHelper::IsScaleChanging(this)) {
    // The rescale under way sent this message: the platform scaling of the form, which
    // takes the suggested rectangle.
    TBase::ScaleForPPI(HIWORD(Message.WParam));
    if (Message.LParam) {
      const TRect r(*reinterpret_cast<const RECT*>(Message.LParam));
      this->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    }
  } else {
    DpiChanged(Message);
  }
  Message.Result = 0;
}

template class TdxScalableForm<TCustomForm>;
template class TdxScalableForm<TForm>;

// --- TdxForm -----------------------------------------------------------------------------------------

void TdxForm::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("ClientHeight", &TControl::ClientHeight, &TdxForm::SetClientHeight);
  r.Prop("ClientWidth", &TControl::ClientWidth, &TdxForm::SetClientWidth);
  r.Prop("PixelsPerInch", &TCustomForm::PixelsPerInch, &TdxForm::SetPixelsPerInch);
}

void TdxForm::SetClientWidth(int Value) {
  if (IsReadingState()) {
    FLoadedClientWidth = Value;
    SetScalingFlags(ScalingFlags() + TScalingFlags{sfWidth});
  }
  TdxScalableForm<TForm>::SetClientWidth(Value);
}

void TdxForm::SetClientHeight(int Value) {
  if (IsReadingState()) {
    FLoadedClientHeight = Value;
    SetScalingFlags(ScalingFlags() + TScalingFlags{sfHeight});
  }
  TdxScalableForm<TForm>::SetClientHeight(Value);
}

void TdxForm::SetPixelsPerInch(int Value) {
  if (IsReadingState() && Value > 0) {
    ScaleFactor()->Assign(Value, dxDefaultDPI, true);
    SetCurrentPPI(Value);
  }
  TdxScalableForm<TForm>::SetPixelsPerInch(Value);
}

void TdxForm::ReadState(TReader* Reader) {
  DisableAlign();
  struct TEnable {
    TdxForm* Form;
    ~TEnable() { Form->EnableAlign(); }
  } enable{this};
  FLoadedClientHeight = 0;
  FLoadedClientWidth = 0;
  // The windowed control's reading, not the form's, which would rescale the form from its
  // stored density at once.
  TWinControl::ReadState(Reader);
  // Applied here; the platform's copy would be applied again when the window is made, over a
  // rescale done in between.
  ClearPendingClientSize();
  if (FLoadedClientHeight > 0) SetClientHeight(FLoadedClientHeight);
  if (FLoadedClientWidth > 0) SetClientWidth(FLoadedClientWidth);
}

void TdxForm::ScaleOwnedComponents(int32_t ANewPPI) {
  TdxFormHelper::ScaleComponentsForDpi(this, ANewPPI);
}

void TdxForm::DpiChanged(TMessage& Message) {
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDesigning)) return;
  const int32_t newDPI = HIWORD(Message.WParam);
  if (newDPI == 0 || !Scaled()) {
    TCustomForm* mainForm = Application ? Application->MainForm() : nullptr;
    if (!mainForm || !mainForm->Scaled()) return;
    SetPixelsPerInch(mainForm->PixelsPerInch());
  }
  if (newDPI != dxGetFormDPI(this) && Scaled()) {
    const TRect r = Message.LParam ? TRect(*reinterpret_cast<const RECT*>(Message.LParam)) : TRect{};
    TdxFormHelper::ScaleForPPI(this, newDPI, true, Message.LParam ? &r : nullptr);
  }
}

// --- TdxFormRightToLeftLayoutHelper ---------------------------------------------------------------

void TdxFormRightToLeftLayoutHelper::AddRightToLeftFormExStyle(TCreateParams& Params) {
  Params.ExStyle = (Params.ExStyle | GetRightToLeftLayoutStyles()) & ~GetBiDiModeStyles();
}

void TdxFormRightToLeftLayoutHelper::RemoveBiDiModeStyles(TCustomForm* AForm) {
  if (!AForm->HandleAllocated()) return;
  const LONG exStyle = GetWindowLongW(AForm->Handle(), GWL_EXSTYLE);
  SetWindowLongW(AForm->Handle(), GWL_EXSTYLE, exStyle & ~static_cast<LONG>(GetBiDiModeStyles()));
}

void TdxFormRightToLeftLayoutHelper::SetMenusParentBiDiMode(TCustomForm* AForm) {
  for (int i = 0; i < AForm->ComponentCount(); ++i)
    if (auto* menu = dynamic_cast<TMenu*>(AForm->Components(i))) menu->SetParentBiDiMode(true);
}

void TdxFormRightToLeftLayoutHelper::ResetMenusBiDiMode(TCustomForm* AForm) {
  for (int i = 0; i < AForm->ComponentCount(); ++i)
    if (auto* menu = dynamic_cast<TMenu*>(AForm->Components(i))) menu->SetBiDiMode(bdLeftToRight);
}

// --- TdxFormHelper -------------------------------------------------------------------------------

bool TdxFormHelper::IsScaleChanging(TWinControl* AContainer) {
  const auto& list = ScalingContainers();
  for (TWinControl* c = AContainer; c; c = c->Parent())
    if (std::find(list.begin(), list.end(), c) != list.end()) return true;
  return false;
}

void TdxFormHelper::ScaleForPPI(TCustomForm* AForm, int32_t ATargetDPI, bool AIsDpiChanged,
                                const TRect* AWindowRect) {
  const int32_t oldDPI = dxGetFormDPI(AForm);
  if (ATargetDPI == oldDPI || ATargetDPI < 30 || IsScaleChanging(AForm)) return;

  // Begin: every control of the form hears that a scale change starts.
  ScalingContainers().push_back(AForm);
  const bool redrawLocked = AForm->HandleAllocated() && IsWindowVisible(AForm->Handle());
  std::vector<TControl*> locked{AForm};
  CollectLockedControls(AForm, locked);
  AForm->Perform(DXM_SCALECHANGING, 0, 0);
  for (TControl* c : locked) c->Perform(DXM_SCALECHANGING, 0, 0);
  if (redrawLocked) AForm->Perform(WM_SETREDRAW, FALSE, 0);
  AForm->DisableAlign();

  struct End {
    TCustomForm* Form;
    std::vector<TControl*>& Locked;
    bool RedrawLocked;
    ~End() {
      Form->EnableAlign();
      Form->Realign();
      if (RedrawLocked) Form->Perform(WM_SETREDRAW, TRUE, 0);
      for (auto it = Locked.rbegin(); it != Locked.rend(); ++it) (*it)->Perform(DXM_SCALECHANGED, 0, 0);
      Form->Perform(DXM_SCALECHANGED, 0, 0);
      if (RedrawLocked && Form->HandleAllocated())
        RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      auto& list = ScalingContainers();
      list.erase(std::find(list.begin(), list.end(), Form));
    }
  } end{AForm, locked, redrawLocked};

  const TRect oldBounds = AForm->BoundsRect();
  const TRect oldClient = AForm->ClientRect();
  const bool parentFont = AForm->ParentFont();
  if (AWindowRect && AIsDpiChanged) {
    RECT r = *AWindowRect;
    AForm->Perform(WM_DPICHANGED, MAKEWPARAM(ATargetDPI, ATargetDPI), reinterpret_cast<LPARAM>(&r));
  } else {
    AForm->ScaleForPPI(ATargetDPI);
  }
  AForm->SetParentFont(parentFont);
  AForm->SetPixelsPerInch(ATargetDPI);

  if (AWindowRect)
    AForm->SetBounds(AWindowRect->Left, AWindowRect->Top, AWindowRect->Width(), AWindowRect->Height());
  else if (!AForm->AutoScroll()) {
    if (AForm->WindowState() == wsMaximized)
      AForm->SetBounds(oldBounds.Left, oldBounds.Top, oldBounds.Width(), oldBounds.Height());
    else
      AForm->SetBounds(
          oldBounds.Left, oldBounds.Top,
          oldBounds.Width() + MulDiv(oldClient.Width(), ATargetDPI, oldDPI) - oldClient.Width(),
          oldBounds.Height() + MulDiv(oldClient.Height(), ATargetDPI, oldDPI) - oldClient.Height());
  }
}

void TdxFormHelper::ScaleComponentsForDpi(TComponent* AOwner, int32_t ANewPPI) {
  for (int i = 0; i < AOwner->ComponentCount(); ++i)
    if (auto* scalable = dynamic_cast<IcxScalableComponent*>(AOwner->Components(i)))
      scalable->ScaleForPPI(ANewPPI);
}

void TdxFormHelper::UpdateScaleFactorOnParentChange(TCustomForm* AForm) {
  TcxControlHelper::UpdateScaleFactorOnParentChange(AForm);
}

bool TdxFormHelper::SetAnimation(bool AValue) {
  ANIMATIONINFO info;
  info.cbSize = sizeof(ANIMATIONINFO);
  SystemParametersInfoW(SPI_GETANIMATION, sizeof(ANIMATIONINFO), &info, 0);
  const bool previous = info.iMinAnimate != 0;
  if (previous != AValue) {
    info.iMinAnimate = AValue ? 1 : 0;
    SystemParametersInfoW(SPI_SETANIMATION, sizeof(ANIMATIONINFO), &info, 0);
  }
  return previous;
}

LONG TdxFormHelper::LockWindowRedrawing(HWND AWnd) {
  const LONG style = GetWindowLongW(AWnd, GWL_STYLE);
  TdxSystemInfo* info = dxSystemInfo();
  if (!(info && info->IsRemoteSession()))
    SetWindowLongW(AWnd, GWL_STYLE, style & ~static_cast<LONG>(WS_VISIBLE));
  return style;
}

void TdxFormHelper::UnlockWindowRedrawing(HWND AWnd, LONG APrevStyle) {
  SetWindowLongW(AWnd, GWL_STYLE, APrevStyle);
}

void TdxFormHelper::SetWindowTextWithoutRedrawing(HWND AWnd, const String& AText) {
  const LONG style = LockWindowRedrawing(AWnd);
  DefWindowProcW(AWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(AText.c_str()));
  UnlockWindowRedrawing(AWnd, style);
}

void TdxFormHelper::RepaintVisibleWindowArea(HWND AWnd, HRGN& APrevVisibleRegion) {
  const TRect window = cxGetWindowRect(AWnd);
  const TRect visible = cxRectOffset(
      cxRectIntersectRect(window, GetMonitorWorkArea(MonitorFromWindow(AWnd, MONITOR_DEFAULTTONEAREST))),
      window.TopLeft(), false);
  HRGN region = CreateRectRgn(visible.Left, visible.Top, visible.Right, visible.Bottom);
  if (APrevVisibleRegion && EqualRgn(region, APrevVisibleRegion)) {
    DeleteObject(region);
    return;
  }
  std::swap(region, APrevVisibleRegion);
  // region now holds the old one (or nothing): what is newly visible is redrawn.
  HRGN uncovered = CreateRectRgn(0, 0, 0, 0);
  const int kind = region ? CombineRgn(uncovered, APrevVisibleRegion, region, RGN_DIFF)
                          : CombineRgn(uncovered, APrevVisibleRegion, nullptr, RGN_COPY);
  if (kind != NULLREGION && kind != ERROR) {
    // RedrawWindow takes client coordinates.
    const TPoint client = cxGetClientOffset(AWnd);
    OffsetRgn(uncovered, -client.X, -client.Y);
    RedrawWindow(AWnd, nullptr, uncovered, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  DeleteObject(uncovered);
  if (region) DeleteObject(region);
}

void TdxFormHelper::ResetScalingFlags(TControl* AControl) {
  AControl->SetScalingFlags({});
  if (auto* win = dynamic_cast<TWinControl*>(AControl))
    for (int i = 0; i < win->ControlCount(); ++i) ResetScalingFlags(win->Controls(i));
}

// --- TdxFrameController ----------------------------------------------------------------------------

namespace {

// The controllers by frame, and the free notifier that drops a freed frame's entry.
struct TdxFrameControllerRegistry {
  std::vector<std::pair<TFrame*, std::unique_ptr<TdxFrameController>>> Map;
  std::unique_ptr<TcxFreeNotificator> FreeNotifier;

  void FrameFreed(TComponent* AComponent) {
    for (auto it = Map.begin(); it != Map.end(); ++it)
      if (it->first == AComponent) {
        // The controller leaves the chain of a half-destroyed frame: it is taken out first.
        std::unique_ptr<TdxFrameController> controller = std::move(it->second);
        Map.erase(it);
        return;
      }
  }
};

TdxFrameControllerRegistry* FFrameControllers = nullptr;

}  // namespace

TdxFrameController::TdxFrameController(TFrame* AFrame) : FFrame(AFrame) {
  if (TcxWindowProcController* controller = cxWindowProcController())
    FWindowProcObject = controller->Add(FFrame, TWndMethod(this, &TdxFrameController::WndProc));
  ScaleForPPI(GetTargetDPI(), true);
}

TdxFrameController::~TdxFrameController() {
  if (TcxWindowProcController* controller = cxWindowProcController())
    if (FWindowProcObject) controller->Remove(FWindowProcObject);
}

int32_t TdxFrameController::GetTargetDPI() {
  int32_t numerator = 0, denominator = 0;
  if (FFrame->Parent() && dxGetCurrentScaleFactor(FFrame->Parent(), numerator, denominator) &&
      denominator != 0)
    return MulDiv(dxDefaultDPI, numerator, denominator);
  return dxDefaultDPI;
}

void TdxFrameController::ScaleForPPI(int32_t APPI, bool ADoScale) {
  if (ADoScale && !FFrame->ComponentState().Contains(csLoading)) {
    const bool parentFont = FFrame->ParentFont();
    FFrame->ScaleForPPI(APPI);
    if (parentFont) RestoreParentFont();
  }
  FFrame->SetCurrentPPI(APPI);
  TdxFormHelper::ScaleComponentsForDpi(FFrame, APPI);
}

void TdxFrameController::RestoreParentFont() {
  // Turning ParentFont back on announces CM_PARENTFONTCHANGED, which would restore again.
  if (!FFrame->Parent() || FRestoringParentFont) return;
  FRestoringParentFont = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FRestoringParentFont};
  FFrame->SetFont(FFrame->Parent()->Font());
  FFrame->SetParentFont(true);
}

void TdxFrameController::WndProc(TMessage& Message) {
  TcxWindowProcLinkedObject* node = FWindowProcObject;
  if (node) node->DefaultProc(Message);
  switch (Message.Msg) {
    case WM_CREATE:
      ScaleForPPI(GetTargetDPI(), true);
      break;
    case DXM_SCALECHANGED:
      ScaleForPPI(GetTargetDPI(), false);
      break;
    case CM_PARENTFONTCHANGED:
      if (FFrame->ParentFont()) RestoreParentFont();
      break;
    default:
      break;
  }
}

void TdxFrameControllerManager::Register(HWND AWnd) {
  if (!FFrameControllers) return;
  DWORD process = 0;
  GetWindowThreadProcessId(AWnd, &process);
  if (process != GetCurrentProcessId()) return;
  auto* frame = dynamic_cast<TFrame*>(FindControl(AWnd));
  if (!frame || dynamic_cast<IdxScaleFactor*>(frame) || frame->ComponentState().Contains(csDesigning)) return;
  for (const auto& entry : FFrameControllers->Map)
    if (entry.first == frame) return;
  FFrameControllers->FreeNotifier->AddSender(frame);
  FFrameControllers->Map.emplace_back(frame, nullptr);
  // Made after the entry exists: its first rescale may create windows of nested frames.
  auto controller = std::make_unique<TdxFrameController>(frame);
  for (auto& [f, c] : FFrameControllers->Map)
    if (f == frame) c = std::move(controller);
}

void TdxFrameControllerManager::Unregister(HWND AWnd) {
  if (!FFrameControllers) return;
  if (auto* frame = dynamic_cast<TFrame*>(FindControl(AWnd))) {
    FFrameControllers->FreeNotifier->RemoveSender(frame);
    FFrameControllers->FrameFreed(frame);
  }
}

TdxFrameController* TdxFrameControllerManager::GetController(TFrame* AFrame) {
  if (!FFrameControllers) return nullptr;
  for (auto& [frame, controller] : FFrameControllers->Map)
    if (frame == AFrame) return controller.get();
  return nullptr;
}

void dxFrameWndProcHook(int ACode, WPARAM, LPARAM ALParam, LRESULT&) {
  if (ACode != HC_ACTION || !ALParam) return;
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(ALParam);
  if (message->message == WM_CREATE) TdxFrameControllerManager::Register(message->hwnd);
}

namespace dxForms {

void Initialize() {
  FFrameControllers = new TdxFrameControllerRegistry;
  FFrameControllers->FreeNotifier = std::make_unique<TcxFreeNotificator>(nullptr);
  FFrameControllers->FreeNotifier->SetOnFreeNotification(
      TcxFreeNotificationEvent(FFrameControllers, &TdxFrameControllerRegistry::FrameFreed));
  dxSetHook(htWndProc, &dxFrameWndProcHook);
}

void Finalize() {
  dxReleaseHook(&dxFrameWndProcHook);
  if (!FFrameControllers) return;
  TdxFrameControllerRegistry* registry = FFrameControllers;
  FFrameControllers = nullptr;
  registry->FreeNotifier.reset();
  delete registry;
}

}  // namespace dxForms

// --- TdxFormImageListHelper -----------------------------------------------------------------------

void TdxFormImageListHelper::Execute(int32_t ATargetDPI, TComponent* AForm) {
  TdxFormImageListHelper helper(ATargetDPI);
  helper.UpdateImageLists(AForm);
}

String TdxFormImageListHelper::GetBaseImageListName(const String& AName) {
  size_t end = AName.size();
  while (end > 0 && AName[end - 1] >= u'0' && AName[end - 1] <= u'9') --end;
  return AName.substr(0, end);
}

String TdxFormImageListHelper::GenerateName(const String& ABase, int32_t ADPI) {
  const std::string digits = std::to_string(ADPI);
  return ABase + String(digits.begin(), digits.end());
}

void TdxFormImageListHelper::UpdateImageLists(TComponent* AForm) {
  for (int i = 0; i < AForm->ComponentCount(); ++i) UpdateImageListProperties(AForm->Components(i), 0);
}

void TdxFormImageListHelper::UpdateImageListProperties(TObject* AObject, int ADepth) {
  // Nested persistents are searched; a guard keeps a cycle of sub-objects from looping.
  if (!AObject || ADepth > 8) return;
  for (const TPropInfo* prop : GetPropList(AObject)) {
    if (!prop->GetObj) continue;
    TObject* value = prop->GetObj(AObject);
    if (!value) continue;
    if (auto* imageList = dynamic_cast<TCustomImageList*>(value)) {
      if (!prop->SetObj) continue;
      TComponent* replacement = nullptr;
      for (const auto& [from, to] : FReplacementCache)
        if (from == imageList) replacement = to;
      if (!replacement) {
        replacement = GetReplacement(imageList);
        FReplacementCache.emplace_back(imageList, replacement);
      }
      if (replacement != imageList) prop->SetObj(AObject, replacement);
    } else if (!dynamic_cast<TComponent*>(value)) {
      UpdateImageListProperties(value, ADepth + 1);
    }
  }
}

TComponent* TdxFormImageListHelper::TryFind(TComponent* AOwner, const String& ABase, int32_t ADPI) {
  if (auto* list = dynamic_cast<TCustomImageList*>(AOwner->FindComponent(GenerateName(ABase, ADPI))))
    return list;
  if (ADPI == dxDefaultDPI)
    if (auto* list = dynamic_cast<TCustomImageList*>(AOwner->FindComponent(ABase))) return list;
  return nullptr;
}

TComponent* TdxFormImageListHelper::GetReplacement(TComponent* AImageList) {
  const String base = GetBaseImageListName(AImageList->Name());
  TComponent* owner = AImageList->Owner();
  if (base.empty() || !owner) return AImageList;
  if (TComponent* found = TryFind(owner, base, FTargetDPI)) return found;
  for (auto it = dxDefaultDPIValues.rbegin(); it != dxDefaultDPIValues.rend(); ++it)
    if (*it < FTargetDPI)
      if (TComponent* found = TryFind(owner, base, *it)) return found;
  return AImageList;
}

TdxCustomFloatForm::TdxCustomFloatForm(TComponent* AOwner) : TdxCustomForm(AOwner, 0) {
  SetDefaultMonitor(dmDesktop);
}

}  // namespace qd
