#pragma once
// Camera capture: the process-wide camera manager with one shared camera per video device,
// the camera that polls its capture graph for frames, and the camera control that shows the
// live picture (or the frame held at a pause) with its floating settings toolbar.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/forms/forms.h"
#include "platform/media/strmif.h"
#include "ui/controls/cxControls.h"
#include "ui/controls/dxForms.h"
#include "ui/core/cxClasses.h"
#include "ui/core/cxClassesComponents.h"
#include "ui/core/cxClassesTimer.h"
#include "ui/core/dxCore.h"
#include "ui/editors/cxEditCheckState.h"
#include "ui/editors/cxEditConsts.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/cxGraphicsImages.h"

namespace qd {

class TdxCamera;
class TdxCustomCameraControl;

class TdxSmartImage;

enum TdxCameraState : uint8_t { csInitializing, csRunning, csDeviceIsBusy };
enum TdxCameraControlState : uint8_t {
  ccsInactive,
  ccsInitializing,
  ccsRunning,
  ccsPaused,
  ccsNoDevice,
  ccsDeviceIsBusy
};
enum TdxCameraControlSettingsToolbarPage : uint8_t { stpSettings, stpDevices, stpResolutions };

constexpr TdxCameraControlState dxCameraStateToCamerControlState[] = {ccsInitializing, ccsRunning,
                                                                      ccsDeviceIsBusy};

// The message by which the capture graph reports its events to the camera's window.
constexpr UINT DXM_CAMERAGRAPHEVENT = 0x806B;

// True exactly for S_OK.
bool dxMediaResult(HRESULT AResult);
// Raises EdxException with the text ("dxMediaCheck fails" when empty) unless the result is S_OK.
void dxMediaCheck(HRESULT AResult, const String& AText);

// --- Camera ------------------------------------------------------------------------------------

// The camera's message-only window for the graph's events.
class TdxCameraEventWindow : public TcxMessageWindow {
  QD_CLASS(TdxCameraEventWindow, TcxMessageWindow)

 public:
  explicit TdxCameraEventWindow(TdxCamera* ACamera) : FCamera(ACamera) {}

 protected:
  void WndProc(TMessage& AMessage) override;

 private:
  TdxCamera* FCamera;
};

// One video device opened through a capture graph (device -> sample grabber set to 32-bit RGB
// -> null renderer). Attached controls are told of every poll and of state changes. The
// manager creates and frees cameras; several controls on one device share one camera.
class TdxCamera : public TcxCustomComponent {
  QD_CLASS(TdxCamera, TcxCustomComponent)

 public:
  TdxCamera();
  ~TdxCamera() override;

  // Builds the graph, the device's filter and the grabber (not yet rendered); False when any
  // step fails or the camera is initialized already.
  bool Initialize(int32_t ADeviceIndex);
  void Finalize();
  // The grabber's current frame into ABitmap (emptied when the frame cannot be taken).
  bool Capture(TcxBitmap32* ABitmap);
  // Runs the graph and attaches the control; the result is whether the camera is initialized.
  bool Play(TdxCustomCameraControl* AControl);
  // Detaches the control; the last one stops the graph and lets the camera go.
  void Stop(TdxCustomCameraControl* AControl);
  void SetMediaTypeIndex(int32_t AIndex);
  bool StartRecording(const String& AFileName);
  void StopRecording();

  int32_t DeviceIndex() const { return FDeviceIndex; }
  const Variant& DeviceName() const { return FDeviceName; }
  const std::vector<AM_MEDIA_TYPE*>& MediaTypes() const { return FMediaTypes; }
  int32_t MediaTypeIndex() const { return FMediaTypeIndex; }
  TcxBitmap32* PreviewBitmap() const { return FPreviewBitmap.get(); }
  bool Connected() const { return FConnected; }
  TdxCameraState State() const { return FState; }
  TcxEventHandlerCollection& StateChangedHandlers() { return FStateChangedHandlers; }
  bool Initialized() const { return FInitialized; }
  bool Rendered() const { return FRendered; }
  bool IsRunning() const { return FIsRunning; }
  bool Recording() const { return FRecording; }
  int32_t FailsCount() const { return FFailsCount; }
  // The poll runs.
  bool Polling() const { return FTimer->Enabled(); }
  int32_t ListenerCount() const { return static_cast<int32_t>(FListeners.size()); }

  TNotifyEvent OnDeviceLost;
  TNotifyEvent OnDeviceNotUsed;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TdxCameraEventWindow;

  bool InitializeGraph();
  bool InitializeMedia();
  bool InitializeDevice(int32_t ADeviceIndex);
  bool InitializeStreamConfig();
  bool InitializeCaptureGrabber();
  bool InitializeNullRenderer();
  bool InitializeWindowlessVMR(HWND AWindow, const TRect& ARect);
  bool InitializeWindowedVMR(HWND AWindow, const TRect& ARect);
  bool RenderStream(int32_t AKind, HWND AWindow, const String& AFileName, const TRect& ARect);
  void FindMediaTypes();
  bool ConnectGraph(const String& AFileName);
  bool DisconnectGraph();
  void ApplySelectedMediaType();
  void Reinitialize();
  void OnTimer(TObject* Sender);
  void CheckState();
  void NotifyListeners();
  void SetConnected(bool AValue);
  void WndProc(TMessage& AMessage);

  ComPtr<ICaptureGraphBuilder2> FBuilder;
  ComPtr<IGraphBuilder> FGraph;
  ComPtr<IBaseFilter> FCameraFilter;
  ComPtr<IBaseFilter> FGrabberFilter;
  ComPtr<ISampleGrabber> FSampleGrabber;
  ComPtr<IAMStreamConfig> FStreamConfig;
  ComPtr<IBaseFilter> FRenderer;
  ComPtr<IBaseFilter> FMux;
  ComPtr<IMediaControl> FMediaControl;
  ComPtr<IMediaEventEx> FMediaEvent;
  std::unique_ptr<TdxCameraEventWindow> FEventWindow;
  ComPtr<IVideoWindow> FVideoWindow;
  ComPtr<IVMRWindowlessControl> FWindowlessControl;
  int32_t FDeviceIndex = -1;
  Variant FDeviceName;
  std::vector<AM_MEDIA_TYPE*> FMediaTypes;  // owned records
  int32_t FMediaTypeIndex = 0;
  ComPtr<IMoniker> FMoniker;
  std::unique_ptr<TcxBitmap32> FPreviewBitmap;
  std::unique_ptr<TcxTimer> FTimer;
  std::vector<TdxCustomCameraControl*> FListeners;
  bool FInitialized = false;
  bool FRecording = false;
  bool FRendered = false;
  bool FConnected = false;
  bool FIsRunning = false;
  int32_t FFailsCount = 0;
  TdxCameraState FState = csInitializing;
  TcxEventHandlerCollection FStateChangedHandlers;
};

// --- Camera manager -----------------------------------------------------------------------------

class TdxCameraManagerWindow;

class TdxCameraManager {
 public:
  TdxCameraManager();
  ~TdxCameraManager();
  TdxCameraManager(const TdxCameraManager&) = delete;
  TdxCameraManager& operator=(const TdxCameraManager&) = delete;

  // Lists the devices whose names can be read, in the enumerator's order.
  void RefreshDeviceList();
  int32_t GetDeviceCount();
  // The moniker of the listed device (an index of the device list).
  bool GetDevice(int32_t ADeviceIndex, ComPtr<IMoniker>& AMoniker);
  // The device's shared camera, opened when there is none; nullptr when it cannot be opened.
  TdxCamera* GetCamera(int32_t ADeviceIndex);
  void AddRequest(TdxCustomCameraControl* AControl);
  void CancelRequest(TdxCustomCameraControl* AControl);
  bool StartRecording(int32_t ADeviceIndex, const String& AFileName);
  void StopRecording(int32_t ADeviceIndex);

  // The friendly names of the last RefreshDeviceList.
  const std::vector<String>& Devices() const { return FDevices; }
  int32_t CameraCount() const { return static_cast<int32_t>(FCameraList.size()); }
  bool HasRequest(TdxCustomCameraControl* AControl) const;
  bool RequestTimerEnabled() const { return FRequestTimer->Enabled(); }

 private:
  friend class TdxCamera;
  friend class TdxCameraManagerWindow;

  void DeviceLost(TObject* Sender);
  void RequestTimer(TObject* Sender);
  void CameraDestroyed(TdxCamera* ACamera);
  void FreeReleasedCameras();
  bool CreateClassEnumerator(ComPtr<IEnumMoniker>& AEnum);

  ComPtr<ICreateDevEnum> FDevEnum;
  std::vector<String> FDevices;
  // The enumerator position of each listed device: names that cannot be read are left out of
  // the list, so list indices and enumerator positions differ.
  std::vector<int32_t> FDevicePositions;
  std::vector<TdxCamera*> FCameraList;  // owned
  std::vector<TdxCustomCameraControl*> FRequestList;
  std::unique_ptr<TcxTimer> FRequestTimer;
  // Cameras let go of from inside their own calls, freed from the message loop.
  std::vector<TdxCamera*> FReleasedCameras;
  std::unique_ptr<TdxCameraManagerWindow> FWindow;
};

// The manager, created on first use (nullptr after the unit shut down).
TdxCameraManager* dxCameraManager();
// Some video device exists (the list is enumerated afresh).
bool dxIsCameraAvailable();

// --- Camera control ------------------------------------------------------------------------------

class TdxCameraControlSettingsToolbar;

class TdxCustomCameraControl : public TcxControl {
  QD_CLASS(TdxCustomCameraControl, TcxControl)

 public:
  explicit TdxCustomCameraControl(TComponent* AOwner);
  ~TdxCustomCameraControl() override;

  void Capture();
  void Pause();
  void Play();
  void Stop();
  void ShowSettingsToolbar();

  bool Active() const { return FActive; }
  void SetActive(bool AValue);
  TcxBitmap32* CapturedBitmap() const { return FCapturedBitmap.get(); }
  String DeviceName() const;
  int32_t ResolutionCount() const;
  int32_t ResolutionIndex() const;
  void SetResolutionIndex(int32_t AValue);
  TSize Resolutions(int32_t AIndex) const;
  bool ShowSettingsButton() const { return FShowSettingsButton; }
  void SetShowSettingsButton(bool AValue);
  TdxCameraControlState State() const { return FState; }
  TdxCamera* Camera() const { return FCamera; }
  int32_t SettingsButtonAlpha() const { return FSettingsButtonAlpha; }
  TRect GetSettingsButtonRect();

  int32_t DeviceIndex() const { return FDeviceIndex; }
  void SetDeviceIndex(int32_t AValue);
  TcxImageFitMode FitMode() const { return FFitMode; }
  void SetFitMode(TcxImageFitMode AValue);
  TNotifyEvent OnStateChanged;

  // Called by the manager and the camera.
  void SetCamera(TdxCamera* ACamera);
  void CameraPictureChanged();
  void CameraStateChanged(TObject* Sender, const void* AEventArgs);

  void Click() override;

 protected:
  void MouseEnter(TControl* AControl) override;
  void MouseLeave(TControl* AControl) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void LookAndFeelChanged() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  String GetDisplayText();
  bool IsDoubleBufferedNeeded() override { return true; }
  void DoPaint() override;

 private:
  friend class TdxCameraControlSettingsToolbar;

  void CheckState();
  void InvalidateSettingsButton();
  void SettingsButtonTimer(TObject* Sender);
  bool IsToolbarOpenForMe() const;

  TdxCamera* FCamera = nullptr;
  std::unique_ptr<TcxBitmap32> FCapturedBitmap;
  TcxImageFitMode FFitMode = ifmProportionalStretch;
  int32_t FDeviceIndex = 0;
  int32_t FSettingsButtonAlpha = 0;
  std::unique_ptr<TdxSmartImage> FSettingsButtonGlyph;
  int32_t FSettingsButtonShowingIncrement = 0;
  std::unique_ptr<TcxTimer> FSettingsButtonShowingTimer;
  bool FShowSettingsButton = true;
  TdxCameraControlState FState = ccsInactive;
  bool FActive = false;
  bool FPaused = false;
};

class TdxCameraControl : public TdxCustomCameraControl {
  QD_CLASS(TdxCameraControl, TdxCustomCameraControl)
  QD_PUBLISHED(TdxCameraControl)

 public:
  using TdxCustomCameraControl::TdxCustomCameraControl;
};

// --- Settings toolbar ---------------------------------------------------------------------------

class TdxCameraControlSettingsToolbarItem {
 public:
  TdxCameraControlSettingsToolbarItem(TdxCustomCameraControl* ACameraControl, HWND AParentHandle,
                                      const String& ACaption, const String& ADescription, bool AChecked)
      : FCameraControl(ACameraControl),
        FCaption(ACaption),
        FChecked(AChecked),
        FParentHandle(AParentHandle),
        FDescription(ADescription) {}

  void Draw(TcxCanvas* ACanvas);
  void SetState(TcxEditCheckState AValue);

  TRect FBounds;
  TdxCustomCameraControl* FCameraControl;
  String FCaption;
  bool FChecked;
  HWND FParentHandle;
  TcxEditCheckState FState = ecsNormal;
  String FDescription;
};

class TdxCameraControlSettingsToolbar : public TdxCustomFloatForm {
  QD_CLASS(TdxCameraControlSettingsToolbar, TdxCustomFloatForm)

 public:
  explicit TdxCameraControlSettingsToolbar(TdxCustomCameraControl* ACameraControl);
  ~TdxCameraControlSettingsToolbar() override;

  TCustomForm* GetParentForm() override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& Message) override;
  void Paint() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

  // Builds the settings page, places the toolbar at the control's corner and shows it
  // without activating it.
  void ShowToolbar();
  void Initialize(TdxCameraControlSettingsToolbarPage APage);
  void Reinitilize() { Initialize(FToolbarPage); }

  TdxCustomCameraControl* CameraControl() const { return FCameraControl; }
  TdxCameraControlSettingsToolbarPage ToolbarPage() const { return FToolbarPage; }
  int32_t ColumnCount() const { return FColumnCount; }
  int32_t ItemCount() const { return static_cast<int32_t>(FItems.size()); }
  TdxCameraControlSettingsToolbarItem* Items(int32_t AIndex) const {
    return FItems.at(static_cast<size_t>(AIndex)).get();
  }
  TdxCameraControlSettingsToolbarItem* HotItem() const { return FHotItem; }

  // Layout (public for the tests of the layout rules).
  TSize GetContentRectSize();
  TRect GetNewBounds();
  void CalculateItemsBounds(const TRect& ARect);

 private:
  void BuildPage(TdxCameraControlSettingsToolbarPage APage);
  void AddItem(const String& ACaption, const String& ADescription, bool AChecked = false);
  void UpdateBoundsAndRegion();
  int32_t ItemAt(const TPoint& P) const;
  void SetHotItem(TdxCameraControlSettingsToolbarItem* AItem);
  int32_t TextLineHeight();
  int32_t TextWidth(const String& AText);

  TdxCustomCameraControl* FCameraControl;
  int32_t FColumnCount = 1;
  std::unique_ptr<TcxCanvas> FcxCanvas;
  TdxCameraControlSettingsToolbarItem* FHotItem = nullptr;
  std::vector<std::unique_ptr<TdxCameraControlSettingsToolbarItem>> FItems;
  TdxCameraControlSettingsToolbarPage FToolbarPage = stpSettings;
};

// The open settings toolbar, nullptr when none.
TdxCameraControlSettingsToolbar* dxCameraControlSettingsToolbar();
void dxShowCameraControlSettingsToolbar(TdxCustomCameraControl* AControl);
void dxSettingsToolbarMouseHook(int ACode, WPARAM AWParam, LPARAM ALParam, LRESULT& AHookResult);
void dxSettingsToolbarWndProcHook(int ACode, WPARAM AWParam, LPARAM ALParam, LRESULT& AHookResult);

// Start-up registers the camera control's class for stored forms; shut-down frees the open
// toolbar and the camera manager with its cameras.
namespace dxCameraControl {
void Initialize();
void Finalize();
}  // namespace dxCameraControl

}  // namespace qd
