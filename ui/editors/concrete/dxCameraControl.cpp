// The camera control: its state machine, its painting, the settings button's fade, and the
// unit's start-up.
#include "ui/editors/concrete/dxCameraControl.h"

#include <algorithm>

#include "platform/classes/rtti.h"
#include "ui/core/cxGeometry.h"
#include "ui/editors/cxEditConsts.h"
#include "ui/graphics/cxGraphicsText.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxCustomCameraControl)
QD_IMPLEMENT_CLASS(TdxCameraControl)

namespace dxCameraControlCapture {
void Initialize();
void Finalize();
}  // namespace dxCameraControlCapture
namespace dxCameraControlToolbar {
void Finalize();
}  // namespace dxCameraControlToolbar

namespace {

constexpr int32_t kButtonFadeStep = 25;
constexpr int32_t kButtonHalfAlpha = 150;
constexpr int32_t kButtonFullAlpha = 255;
constexpr int32_t kButtonIndent = 5;

const TTypeInfo* TypeInfoTcxControlBorderStyle() {
  static const TTypeInfo t = MakeEnumTypeInfo(u"TcxControlBorderStyle", {u"cxcbsNone", u"cxcbsDefault"});
  return &t;
}

const TTypeInfo* TypeInfoTcxImageFitMode() {
  static const TTypeInfo t = MakeEnumTypeInfo(
      u"TcxImageFitMode", {u"ifmNormal", u"ifmStretch", u"ifmProportionalStretch", u"ifmFit", u"ifmFill"});
  return &t;
}

}  // namespace

void TdxCameraControl::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("DeviceIndex", &TdxCameraControl::DeviceIndex, &TdxCameraControl::SetDeviceIndex).Default(0);
  r.Prop("Active", &TdxCameraControl::Active, &TdxCameraControl::SetActive).Default(false);
  r.Prop("BorderStyle", &TdxCameraControl::BorderStyle, &TdxCameraControl::SetBorderStyle,
         TypeInfoTcxControlBorderStyle())
      .Default(cxcbsDefault);
  r.Prop("FitMode", &TdxCameraControl::FitMode, &TdxCameraControl::SetFitMode, TypeInfoTcxImageFitMode())
      .Default(ifmProportionalStretch);
  r.Prop("ShowSettingsButton", &TdxCameraControl::ShowSettingsButton,
         &TdxCameraControl::SetShowSettingsButton)
      .Default(true);
  r.Event("OnStateChanged", &TdxCameraControl::OnStateChanged);
}

// --- Creation --------------------------------------------------------------------------------------

TdxCustomCameraControl::TdxCustomCameraControl(TComponent* AOwner) : TcxControl(AOwner) {
  FSettingsButtonShowingTimer.reset(
      cxCreateTimer(TNotifyEvent(this, &TdxCustomCameraControl::SettingsButtonTimer), 50, false));
  FSettingsButtonGlyph = std::make_unique<TdxSmartImage>();
  FSettingsButtonGlyph->LoadFromResource(nullptr, u"DXCAMERACONTROL_SETTINGSBUTTON", u"PNG");
  TControlStyle style = ControlStyle();
  style.Exclude(csParentBackground);
  SetControlStyle(style);
  SetBorderStyle(cxcbsDefault);
  SetBounds(Left(), Top(), 200, 150);
  FCapturedBitmap = std::make_unique<TcxBitmap32>();
}

TdxCustomCameraControl::~TdxCustomCameraControl() {
  Destroying();
  SetActive(false);
  SetCamera(nullptr);
  FCapturedBitmap.reset();
  FSettingsButtonGlyph.reset();
  FSettingsButtonShowingTimer.reset();
  if (TdxCameraControlSettingsToolbar* toolbar = dxCameraControlSettingsToolbar()) toolbar->Free();
}

// --- Operations -------------------------------------------------------------------------------------

void TdxCustomCameraControl::Capture() {
  if (FCamera) FCamera->Capture(FCapturedBitmap.get());
  Invalidate();
}

void TdxCustomCameraControl::Pause() {
  if (FState == ccsRunning) {
    Capture();
    FPaused = true;
  }
  CheckState();
}

void TdxCustomCameraControl::Play() {
  FPaused = false;
  SetActive(true);
  CheckState();
  Invalidate();
}

void TdxCustomCameraControl::Stop() {
  FPaused = false;
  SetActive(false);
  CheckState();
}

void TdxCustomCameraControl::ShowSettingsToolbar() {
  dxShowCameraControlSettingsToolbar(this);
}

String TdxCustomCameraControl::DeviceName() const {
  return FCamera ? VarToStr(FCamera->DeviceName()) : String();
}

int32_t TdxCustomCameraControl::ResolutionCount() const {
  return FCamera ? static_cast<int32_t>(FCamera->MediaTypes().size()) : 0;
}

int32_t TdxCustomCameraControl::ResolutionIndex() const {
  return FCamera ? FCamera->MediaTypeIndex() : -1;
}

void TdxCustomCameraControl::SetResolutionIndex(int32_t AValue) {
  if (FDeviceIndex < 0) return;
  if (FCamera) FCamera->SetMediaTypeIndex(AValue);
  if (TdxCameraControlSettingsToolbar* toolbar = dxCameraControlSettingsToolbar()) toolbar->Reinitilize();
}

TSize TdxCustomCameraControl::Resolutions(int32_t AIndex) const {
  if (!FCamera || AIndex < 0 || AIndex >= ResolutionCount()) return TSize{};
  const AM_MEDIA_TYPE* mt = FCamera->MediaTypes()[static_cast<size_t>(AIndex)];
  VIDEOINFOHEADER vih;
  std::memcpy(&vih, mt->pbFormat, sizeof(vih));
  return TSize{vih.bmiHeader.biWidth, vih.bmiHeader.biHeight};
}

void TdxCustomCameraControl::SetDeviceIndex(int32_t AValue) {
  if (FActive) {
    SetActive(false);
    FDeviceIndex = AValue;
    SetActive(true);
  } else {
    FDeviceIndex = AValue;
  }
  if (TdxCameraControlSettingsToolbar* toolbar = dxCameraControlSettingsToolbar()) toolbar->Reinitilize();
}

void TdxCustomCameraControl::SetFitMode(TcxImageFitMode AValue) {
  if (FFitMode == AValue) return;
  FFitMode = AValue;
  Invalidate();
}

void TdxCustomCameraControl::SetActive(bool AValue) {
  if (FActive != AValue) {
    FActive = AValue;
    if (!IsDesigning()) {
      if (AValue) {
        if (TdxCameraManager* manager = dxCameraManager()) manager->AddRequest(this);
      } else {
        SetCamera(nullptr);
        // A control still waiting for its camera withdraws the request, so that a later retry
        // does not hand a running camera to an inactive control.
        if (TdxCameraManager* manager = dxCameraManager()) manager->CancelRequest(this);
      }
      Invalidate();
    }
  }
  CheckState();
}

void TdxCustomCameraControl::SetCamera(TdxCamera* ACamera) {
  if (ACamera != FCamera) {
    TdxCamera* old = FCamera;
    if (old) {
      old->StateChangedHandlers().Remove(TcxEventHandler(this, &TdxCustomCameraControl::CameraStateChanged));
      FCamera = nullptr;
      old->Stop(this);
    } else if (TdxCameraManager* manager = dxCameraManager()) {
      manager->CancelRequest(this);
    }
    FCamera = ACamera;
    if (FCamera) {
      FCamera->Play(this);
      FCamera->StateChangedHandlers().Add(TcxEventHandler(this, &TdxCustomCameraControl::CameraStateChanged));
    } else if (FActive && !IsDestroying()) {
      if (TdxCameraManager* manager = dxCameraManager()) manager->AddRequest(this);
    }
    Invalidate();
  }
  CheckState();
}

void TdxCustomCameraControl::Notification(TComponent* AComponent, TOperation Operation) {
  TcxControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent != nullptr && AComponent == FCamera) {
    // The camera is being destroyed: forget it without touching its handlers.
    FCamera = nullptr;
    if (FActive && !IsDestroying())
      if (TdxCameraManager* manager = dxCameraManager()) manager->AddRequest(this);
    Invalidate();
    CheckState();
  }
}

void TdxCustomCameraControl::CameraPictureChanged() {
  if (FState == ccsRunning && HandleAllocated()) Invalidate();
}

void TdxCustomCameraControl::CameraStateChanged(TObject* Sender, const void* AEventArgs) {
  CheckState();
}

void TdxCustomCameraControl::CheckState() {
  const TdxCameraControlState old = FState;
  TdxCameraControlState state = ccsInactive;
  if (FActive) {
    if (FPaused)
      state = ccsPaused;
    else if (!FCamera)
      state = ccsNoDevice;
    else
      state = dxCameraStateToCamerControlState[FCamera->State()];
  }
  FState = state;
  if (!IsDestroying() && state != old) {
    // The picture or the text of the new state.
    if (HandleAllocated()) Invalidate();
    if (FActive && (old == ccsRunning || state == ccsRunning))
      if (TdxCameraControlSettingsToolbar* toolbar = dxCameraControlSettingsToolbar()) toolbar->Reinitilize();
    if (OnStateChanged) OnStateChanged(this);
  }
}

void TdxCustomCameraControl::LookAndFeelChanged() {
  TcxControl::LookAndFeelChanged();
  Invalidate();
}

// --- Painting ----------------------------------------------------------------------------------

String TdxCustomCameraControl::GetDisplayText() {
  if (IsDesigning()) return u"No rendering at design time";
  switch (FState) {
    case ccsInactive:
      return cxGetResourceString(sdxCameraInactive);
    case ccsInitializing:
      return cxGetResourceString(sdxCameraInitializing);
    case ccsRunning:
      return cxGetResourceString(sdxCameraRunning);
    case ccsPaused:
      return cxGetResourceString(sdxCameraPaused);
    case ccsNoDevice:
      return cxGetResourceString(sdxCameraNotDetected);
    case ccsDeviceIsBusy:
      return cxGetResourceString(sdxCameraIsBusy);
  }
  return String();
}

bool TdxCustomCameraControl::IsToolbarOpenForMe() const {
  TdxCameraControlSettingsToolbar* toolbar = dxCameraControlSettingsToolbar();
  return toolbar && toolbar->CameraControl() == this;
}

void TdxCustomCameraControl::DoPaint() {
  TcxControl::DoPaint();
  TcxCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  const TRect r = GetClientBounds();
  const bool picture = FState == ccsRunning || FState == ccsPaused;
  canvas->FillRect(r, picture ? TColor(0) : TColor(0xFFFFFF));
  if (FState == ccsRunning && FCamera)
    cxDrawImage(canvas, r, FCamera->PreviewBitmap(), FFitMode);
  else if (FState == ccsPaused)
    cxDrawImage(canvas, r, FCapturedBitmap.get(), FFitMode);
  else
    cxDrawMultilineText(canvas, GetDisplayText(), r, DT_CENTER | DT_VCENTER, Font()->Color());
  if (FShowSettingsButton && !IsToolbarOpenForMe() && FSettingsButtonAlpha > 0 &&
      !FSettingsButtonGlyph->Empty()) {
    const TRect source{0, 0, FSettingsButtonGlyph->Width(), FSettingsButtonGlyph->Height()};
    FSettingsButtonGlyph->StretchDraw(canvas->Handle(), GetSettingsButtonRect(), source,
                                      static_cast<uint8_t>(FSettingsButtonAlpha));
  }
}

TRect TdxCustomCameraControl::GetSettingsButtonRect() {
  const TSize glyph =
      ScaleFactor()->Apply(TSize{FSettingsButtonGlyph->Width(), FSettingsButtonGlyph->Height()});
  const TRect b = GetBounds();
  const int32_t indent = ScaleFactor()->Apply(kButtonIndent);
  TRect r{b.Right - glyph.cx - indent, b.Bottom - glyph.cy - indent, b.Right - indent, b.Bottom - indent};
  if (UseRightToLeftAlignment())
    r = TRect{b.Left + b.Right - r.Right, r.Top, b.Left + b.Right - r.Left, r.Bottom};
  return r;
}

// --- The settings button ----------------------------------------------------------------------

void TdxCustomCameraControl::InvalidateSettingsButton() {
  if (HandleAllocated()) InvalidateRect(GetSettingsButtonRect(), false);
}

void TdxCustomCameraControl::MouseEnter(TControl* AControl) {
  TcxControl::MouseEnter(AControl);
  FSettingsButtonShowingIncrement = kButtonFadeStep;
  FSettingsButtonShowingTimer->SetEnabled(true);
}

void TdxCustomCameraControl::MouseLeave(TControl* AControl) {
  TcxControl::MouseLeave(AControl);
  FSettingsButtonShowingIncrement = -kButtonFadeStep;
  if (FSettingsButtonAlpha > kButtonHalfAlpha) {
    FSettingsButtonAlpha = kButtonHalfAlpha;
    InvalidateSettingsButton();
  }
  FSettingsButtonShowingTimer->SetEnabled(true);
}

void TdxCustomCameraControl::SettingsButtonTimer(TObject* Sender) {
  const int32_t a = FSettingsButtonAlpha + FSettingsButtonShowingIncrement;
  if (a < 0 || a > kButtonHalfAlpha) {
    FSettingsButtonShowingTimer->SetEnabled(false);
    return;
  }
  FSettingsButtonAlpha = a;
  InvalidateSettingsButton();
}

void TdxCustomCameraControl::MouseMove(TShiftState Shift, int X, int Y) {
  TcxControl::MouseMove(Shift, X, Y);
  if (cxRectPtIn(GetSettingsButtonRect(), TPoint{X, Y})) {
    if (FSettingsButtonAlpha != kButtonFullAlpha) {
      FSettingsButtonAlpha = kButtonFullAlpha;
      InvalidateSettingsButton();
    }
  } else if (FSettingsButtonAlpha == kButtonFullAlpha) {
    FSettingsButtonAlpha = kButtonHalfAlpha;
    InvalidateSettingsButton();
  }
}

void TdxCustomCameraControl::SetShowSettingsButton(bool AValue) {
  if (FShowSettingsButton == AValue) return;
  FShowSettingsButton = AValue;
  if (AValue) {
    TPoint p;
    if (HandleAllocated() && GetCursorPos(&p) && cxRectPtIn(ClientRect(), ScreenToClient(p)))
      FSettingsButtonAlpha = kButtonHalfAlpha;
  } else {
    FSettingsButtonAlpha = 0;
  }
  InvalidateSettingsButton();
}

void TdxCustomCameraControl::Click() {
  TcxControl::Click();
  if (!FShowSettingsButton || !HandleAllocated()) return;
  TPoint p;
  if (!GetCursorPos(&p)) return;
  p = ScreenToClient(p);
  const TRect b = GetBounds();
  p = TPoint{p.X + b.Left, p.Y + b.Top};
  if (cxRectPtIn(GetSettingsButtonRect(), p)) ShowSettingsToolbar();
}

// --- Unit ---------------------------------------------------------------------------------------

namespace dxCameraControl {

void Initialize() {
  dxCameraControlCapture::Initialize();
  RegisterClass(TdxCameraControl::StaticClass());
}

void Finalize() {
  dxCameraControlToolbar::Finalize();
  dxCameraControlCapture::Finalize();
}

}  // namespace dxCameraControl

}  // namespace qd
