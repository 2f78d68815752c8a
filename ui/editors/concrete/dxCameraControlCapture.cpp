// The camera manager and the camera: device list, shared cameras, the retry of waiting
// controls, the capture graph, the frame poll with its recovery, and device loss.
#include <algorithm>

#include "platform/classes/sysutils_files.h"
#include "ui/core/dxCore.h"
#include "ui/editors/concrete/dxCameraControl.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxCameraEventWindow)
QD_IMPLEMENT_CLASS(TdxCamera)

namespace {

TdxCameraManager* FCameraManager = nullptr;
bool FCameraUnitFinalized = false;

constexpr int32_t kRenderEveryFails = 10;
constexpr int32_t kRestartEveryFails = 30;
constexpr int32_t kBusyAfterFails = 30;
constexpr UINT kFreeReleasedCameras = WM_USER + 1;

}  // namespace

bool dxMediaResult(HRESULT AResult) {
  return AResult == S_OK;
}

void dxMediaCheck(HRESULT AResult, const String& AText) {
  if (AResult != S_OK) throw EdxException(AText.empty() ? String(u"dxMediaCheck fails") : AText);
}

// --- TdxCameraEventWindow ------------------------------------------------------------------------

void TdxCameraEventWindow::WndProc(TMessage& AMessage) {
  // The camera may let itself go here; the manager frees it later, from the message loop.
  FCamera->WndProc(AMessage);
  TcxMessageWindow::WndProc(AMessage);
}

// --- TdxCamera -------------------------------------------------------------------------------------

TdxCamera::TdxCamera() : TcxCustomComponent(nullptr) {
  FEventWindow = std::make_unique<TdxCameraEventWindow>(this);
  FPreviewBitmap = std::make_unique<TcxBitmap32>();
  FTimer.reset(cxCreateTimer(TNotifyEvent(this, &TdxCamera::OnTimer), 100, false));
}

TdxCamera::~TdxCamera() {
  // Attached controls hear of the destruction while the camera is still whole.
  Destroying();
  BeforeDestruction();
  FTimer->SetEnabled(false);
  Finalize();
  for (AM_MEDIA_TYPE* mt : FMediaTypes) DeleteMediaType(mt);
  FMediaTypes.clear();
  FEventWindow.reset();
  FListeners.clear();
  FPreviewBitmap.reset();
  FTimer.reset();
  if (FCameraManager) FCameraManager->CameraDestroyed(this);
}

bool TdxCamera::Initialize(int32_t ADeviceIndex) {
  if (FInitialized) return false;
  FInitialized =
      InitializeGraph() && InitializeMedia() && InitializeDevice(ADeviceIndex) && InitializeCaptureGrabber();
  if (!FInitialized) Finalize();
  return FInitialized;
}

bool TdxCamera::InitializeGraph() {
  FBuilder = nullptr;
  FGraph = nullptr;
  CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC, IID_ICaptureGraphBuilder2,
                   FBuilder.OutVoid());
  CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC, IID_IGraphBuilder, FGraph.OutVoid());
  return FBuilder && FGraph && dxMediaResult(FBuilder->SetFiltergraph(FGraph.Get()));
}

bool TdxCamera::InitializeMedia() {
  FGraph.As(IID_IMediaControl, FMediaControl);
  FGraph.As(IID_IMediaEventEx, FMediaEvent);
  return FMediaControl && FMediaEvent &&
         dxMediaResult(FMediaEvent->SetNotifyWindow(FEventWindow->Handle(), DXM_CAMERAGRAPHEVENT, 0));
}

bool TdxCamera::InitializeDevice(int32_t ADeviceIndex) {
  FCameraFilter = nullptr;
  ComPtr<IMoniker> moniker;
  ComPtr<IBaseFilter> filter;
  ComPtr<IPropertyBag> bag;
  Variant name;
  TdxCameraManager* manager = dxCameraManager();
  if (manager && manager->GetDevice(ADeviceIndex, moniker) &&
      dxMediaResult(moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, filter.OutVoid())) &&
      dxMediaResult(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.OutVoid())) &&
      dxMediaResult(bag->Read(u"FriendlyName", &name, nullptr)) &&
      dxMediaResult(FGraph->AddFilter(filter.Get(), u"Video Capture"))) {
    FDeviceIndex = ADeviceIndex;
    FDeviceName = name;
    FCameraFilter = filter;
    FMoniker = moniker;
    return InitializeStreamConfig();
  }
  return false;
}

bool TdxCamera::InitializeStreamConfig() {
  return dxMediaResult(FBuilder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, FCameraFilter.Get(),
                                               IID_IAMStreamConfig, FStreamConfig.OutVoid()));
}

bool TdxCamera::InitializeCaptureGrabber() {
  FSampleGrabber = nullptr;
  FGrabberFilter = nullptr;
  if (!dxMediaResult(CoCreateInstance(CLSID_SampleGrabber, nullptr, CLSCTX_INPROC, IID_IBaseFilter,
                                      FGrabberFilter.OutVoid())))
    return false;
  if (!dxMediaResult(FGraph->AddFilter(FGrabberFilter.Get(), u"Video Grabber")) ||
      !dxMediaResult(FGrabberFilter.As(IID_ISampleGrabber, FSampleGrabber)))
    return false;
  dxMediaCheck(FSampleGrabber->SetBufferSamples(TRUE), u"SetBufferSamples fails");
  AM_MEDIA_TYPE mt;
  mt.majortype = MEDIATYPE_Video;
  mt.subtype = MEDIASUBTYPE_RGB32;
  dxMediaCheck(FSampleGrabber->SetMediaType(&mt), u"SetMediaType fails");
  return true;
}

bool TdxCamera::InitializeNullRenderer() {
  return dxMediaResult(CoCreateInstance(CLSID_NullRenderer, nullptr, CLSCTX_INPROC, IID_IBaseFilter,
                                        FRenderer.OutVoid())) &&
         dxMediaResult(FGraph->AddFilter(FRenderer.Get(), u"Null Filter"));
}

bool TdxCamera::InitializeWindowlessVMR(HWND AWindow, const TRect& ARect) {
  // The video mixing renderer is not among the media classes here: creating it fails.
  if (!FWindowlessControl) {
    if (!dxMediaResult(CoCreateInstance(CLSID_VideoMixingRenderer, nullptr, CLSCTX_INPROC, IID_IBaseFilter,
                                        FRenderer.OutVoid())))
      return false;
    if (!dxMediaResult(FGraph->AddFilter(FRenderer.Get(), u"Video Mixing Renderer"))) return false;
    ComPtr<IVMRFilterConfig> config;
    if (!dxMediaResult(FRenderer.As(IID_IVMRFilterConfig, config))) return false;
    FRenderer.As(IID_IVMRWindowlessControl, FWindowlessControl);
  }
  return false;
}

bool TdxCamera::InitializeWindowedVMR(HWND AWindow, const TRect& ARect) {
  if (!FVideoWindow) FGraph.As(IID_IVideoWindow, FVideoWindow);
  return false;  // no windowed renderer here
}

bool TdxCamera::RenderStream(int32_t AKind, HWND AWindow, const String& AFileName, const TRect& ARect) {
  FRecording = false;
  if (!FInitialized || FRendered) return false;
  switch (AKind) {
    case 1:
      InitializeWindowlessVMR(AWindow, ARect);
      break;
    case 2:
      InitializeWindowedVMR(AWindow, ARect);
      break;
    default:
      InitializeNullRenderer();
      break;
  }
  if (!AFileName.empty()) {
    FBuilder->SetOutputFileName(&MEDIASUBTYPE_Avi, AFileName.c_str(), FMux.Out(), nullptr);
    FRendered = dxMediaResult(FBuilder->RenderStream(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video,
                                                     FCameraFilter.Get(), FGrabberFilter.Get(), FMux.Get()));
    if (AKind == 1 || AKind == 2)
      FBuilder->RenderStream(&PIN_CATEGORY_PREVIEW, &MEDIATYPE_Video, FCameraFilter.Get(), nullptr,
                             FRenderer.Get());
  } else if (FRenderer) {
    FRendered = dxMediaResult(FBuilder->RenderStream(
        &PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, FCameraFilter.Get(), FGrabberFilter.Get(), FRenderer.Get()));
  }
  if (FRendered && FMediaTypes.empty()) FindMediaTypes();
  return FRendered;
}

void TdxCamera::FindMediaTypes() {
  AM_MEDIA_TYPE* current = nullptr;
  dxMediaCheck(FStreamConfig->GetFormat(&current), u"GetCurrentMediaType");
  const uint32_t code = current->subtype.Data1;
  DeleteMediaType(current);
  int count = 0, size = 0;
  FStreamConfig->GetNumberOfCapabilities(&count, &size);
  std::vector<uint8_t> caps(static_cast<size_t>(std::max(size, 1)));
  for (int i = 0; i < count; ++i) {
    AM_MEDIA_TYPE* mt = nullptr;
    if (FStreamConfig->GetStreamCaps(i, &mt, caps.data()) != S_OK || !mt) continue;
    if (mt->formattype == FORMAT_VideoInfo && mt->subtype.Data1 == code &&
        mt->cbFormat >= sizeof(VIDEOINFOHEADER))
      FMediaTypes.push_back(mt);
    else
      DeleteMediaType(mt);
  }
}

bool TdxCamera::ConnectGraph(const String& AFileName) {
  const bool result = RenderStream(0, nullptr, AFileName, TRect{});
  FMediaControl->Run();
  return result;
}

bool TdxCamera::DisconnectGraph() {
  FRendered = false;
  ComPtr<IEnumFilters> list;
  if (!dxMediaResult(FMediaControl->Stop()) || !dxMediaResult(FGraph->EnumFilters(list.Out()))) return false;
  ComPtr<IBaseFilter> filter;
  while (dxMediaResult(list->Next(1, filter.Out(), nullptr))) {
    if (filter.Get() == FCameraFilter.Get()) continue;
    if (!dxMediaResult(FGraph->RemoveFilter(filter.Get())) || !dxMediaResult(list->Reset())) return false;
  }
  return true;
}

void TdxCamera::ApplySelectedMediaType() {
  if (FMediaTypeIndex < 0 || static_cast<size_t>(FMediaTypeIndex) >= FMediaTypes.size()) return;
  dxMediaCheck(FStreamConfig->SetFormat(FMediaTypes[static_cast<size_t>(FMediaTypeIndex)]),
               u"FStreamConfig.SetFormat fails");
}

void TdxCamera::SetMediaTypeIndex(int32_t AIndex) {
  // An index outside the list is ignored (it would be read past the list's end).
  if (FRecording || FMediaTypes.empty() || AIndex == FMediaTypeIndex || AIndex < 0 ||
      static_cast<size_t>(AIndex) >= FMediaTypes.size())
    return;
  if (DisconnectGraph() && InitializeCaptureGrabber()) {
    FMediaTypeIndex = AIndex;
    ApplySelectedMediaType();
    ConnectGraph(String());
  }
}

bool TdxCamera::Capture(TcxBitmap32* ABitmap) {
  if (!FIsRunning) return false;
  long size = 0;
  AM_MEDIA_TYPE mt;
  if (dxMediaResult(FSampleGrabber->GetCurrentBuffer(&size, nullptr)) &&
      dxMediaResult(FSampleGrabber->GetConnectedMediaType(&mt))) {
    VIDEOINFOHEADER vih;
    const bool hasHeader = mt.cbFormat >= sizeof(VIDEOINFOHEADER) && mt.pbFormat;
    if (hasHeader) std::memcpy(&vih, mt.pbFormat, sizeof(vih));
    FreeMediaType(mt);
    const int64_t w = hasHeader ? vih.bmiHeader.biWidth : 0;
    const int64_t h = hasHeader ? vih.bmiHeader.biHeight : 0;
    // A frame without pixels is no frame: it would count as a picture of nothing.
    if (w > 0 && h > 0 && w * h * 4 == size) {
      TRGBColors colors(static_cast<size_t>(size / 4));
      if (dxMediaResult(FSampleGrabber->GetCurrentBuffer(&size, reinterpret_cast<long*>(colors.data())))) {
        ABitmap->SetSize(static_cast<int>(w), static_cast<int>(h));
        ABitmap->SetBitmapColors(colors);
        SetConnected(true);
        return true;
      }
    }
  }
  ABitmap->SetSize(0, 0);
  return false;
}

void TdxCamera::OnTimer(TObject* Sender) {
  if (!Capture(FPreviewBitmap.get())) {
    ++FFailsCount;
    if (!FRendered && FFailsCount % kRenderEveryFails == 0) {
      RenderStream(0, nullptr, String(), TRect{});
      Play(nullptr);
    } else if (FRendered && FFailsCount % kRestartEveryFails == 0) {
      FMediaControl->Stop();
      FMediaControl->Run();
    }
  }
  CheckState();
  NotifyListeners();
}

void TdxCamera::CheckState() {
  TdxCameraState state = csInitializing;
  if (FConnected)
    state = csRunning;
  else if (FTimer->Enabled() && FFailsCount >= kBusyAfterFails)
    state = csDeviceIsBusy;
  if (state != FState) {
    FState = state;
    FStateChangedHandlers.CallEvents(this);
  }
}

void TdxCamera::NotifyListeners() {
  // A listener may detach (and so change the list) while it is told.
  const std::vector<TdxCustomCameraControl*> listeners = FListeners;
  for (TdxCustomCameraControl* c : listeners)
    if (std::find(FListeners.begin(), FListeners.end(), c) != FListeners.end()) c->CameraPictureChanged();
}

void TdxCamera::SetConnected(bool AValue) {
  if (FConnected == AValue) return;
  FConnected = AValue;
  FFailsCount = 0;
  FStateChangedHandlers.CallEvents(this);
}

void TdxCamera::WndProc(TMessage& AMessage) {
  if (AMessage.Msg != DXM_CAMERAGRAPHEVENT || !FMediaEvent) return;
  long code = 0;
  LONG_PTR p1 = 0, p2 = 0;
  if (!dxMediaResult(FMediaEvent->GetEvent(&code, &p1, &p2, INFINITE_TIMEOUT))) return;
  FMediaEvent->FreeEventParams(code, p1, p2);
  if (code == EC_DEVICE_LOST && p2 == 0) {
    FTimer->SetEnabled(false);
    Finalize();
    if (OnDeviceLost) OnDeviceLost(this);
  }
}

bool TdxCamera::Play(TdxCustomCameraControl* AControl) {
  if (!FInitialized) {
    CheckState();
    return false;
  }
  bool result = FInitialized;
  if (FRendered && !FIsRunning) {
    const HRESULT hr = FMediaControl->Run();
    FIsRunning = true;
    result = dxMediaResult(hr);
  }
  // The poll's own call has no control to attach.
  if (AControl && std::find(FListeners.begin(), FListeners.end(), AControl) == FListeners.end()) {
    AControl->FreeNotification(this);
    FListeners.push_back(AControl);
    FTimer->SetEnabled(true);
  }
  CheckState();
  return result;
}

void TdxCamera::Stop(TdxCustomCameraControl* AControl) {
  if (ComponentState().Contains(csDestroying)) return;
  if (AControl) {
    AControl->RemoveFreeNotification(this);
    std::erase(FListeners, AControl);
  }
  if (!FListeners.empty() || FRecording) {
    CheckState();
    return;
  }
  FTimer->SetEnabled(false);
  if (FMediaControl) FMediaControl->Stop();
  FIsRunning = false;
  SetConnected(false);
  if (OnDeviceNotUsed) OnDeviceNotUsed(this);
}

void TdxCamera::Notification(TComponent* AComponent, TOperation Operation) {
  TcxCustomComponent::Notification(AComponent, Operation);
  // Compared as components: a control being destroyed is no longer a camera control.
  if (Operation == opRemove)
    std::erase_if(FListeners,
                  [&](TdxCustomCameraControl* c) { return static_cast<TComponent*>(c) == AComponent; });
}

void TdxCamera::Finalize() {
  SetConnected(false);
  FInitialized = false;
  FRendered = false;
  FIsRunning = false;
  FMux = nullptr;
  FRenderer = nullptr;
  FVideoWindow = nullptr;
  FWindowlessControl = nullptr;
  FMediaEvent = nullptr;
  FMediaControl = nullptr;
  FMoniker = nullptr;
  FSampleGrabber = nullptr;
  FCameraFilter = nullptr;
  FGrabberFilter = nullptr;
  FGraph = nullptr;
  FBuilder = nullptr;
  FStreamConfig = nullptr;
}

bool TdxCamera::StartRecording(const String& AFileName) {
  FRecording =
      DisconnectGraph() && InitializeCaptureGrabber() && ConnectGraph(AFileName) && FileExists(AFileName);
  if (!FRecording) StopRecording();
  return FRecording;
}

void TdxCamera::StopRecording() {
  Reinitialize();
}

void TdxCamera::Reinitialize() {
  Finalize();
  if (Initialize(FDeviceIndex)) ApplySelectedMediaType();
}

// --- TdxCameraManager -------------------------------------------------------------------------------

class TdxCameraManagerWindow : public TcxMessageWindow {
 public:
  explicit TdxCameraManagerWindow(TdxCameraManager* AManager) : FManager(AManager) {}

 protected:
  void WndProc(TMessage& AMessage) override {
    if (AMessage.Msg == kFreeReleasedCameras)
      FManager->FreeReleasedCameras();
    else
      TcxMessageWindow::WndProc(AMessage);
  }

 private:
  TdxCameraManager* FManager;
};

TdxCameraManager::TdxCameraManager() {
  CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC, IID_ICreateDevEnum, FDevEnum.OutVoid());
  FRequestTimer.reset(cxCreateTimer(TNotifyEvent(this, &TdxCameraManager::RequestTimer), 1000, false));
  FWindow = std::make_unique<TdxCameraManagerWindow>(this);
}

TdxCameraManager::~TdxCameraManager() {
  FRequestTimer.reset();
  FRequestList.clear();
  const std::vector<TdxCamera*> cameras = FCameraList;
  FCameraList.clear();
  for (TdxCamera* c : cameras) delete c;
  FreeReleasedCameras();
  FDevices.clear();
  FDevicePositions.clear();
  FWindow.reset();
}

bool TdxCameraManager::CreateClassEnumerator(ComPtr<IEnumMoniker>& AEnum) {
  AEnum = nullptr;
  if (!FDevEnum) return false;
  FDevEnum->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, AEnum.Out(), 0);
  return static_cast<bool>(AEnum);
}

void TdxCameraManager::RefreshDeviceList() {
  FDevices.clear();
  FDevicePositions.clear();
  ComPtr<IEnumMoniker> list;
  if (!CreateClassEnumerator(list)) return;
  list->Reset();
  ComPtr<IMoniker> moniker;
  for (int32_t position = 0; list->Next(1, moniker.Out(), nullptr) == S_OK && moniker; ++position) {
    ComPtr<IPropertyBag> bag;
    Variant name;
    if (dxMediaResult(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.OutVoid())) &&
        dxMediaResult(bag->Read(u"FriendlyName", &name, nullptr))) {
      FDevices.push_back(VarToStr(name));
      FDevicePositions.push_back(position);
    }
  }
}

int32_t TdxCameraManager::GetDeviceCount() {
  RefreshDeviceList();
  return static_cast<int32_t>(FDevices.size());
}

bool TdxCameraManager::GetDevice(int32_t ADeviceIndex, ComPtr<IMoniker>& AMoniker) {
  AMoniker = nullptr;
  if (FDevicePositions.empty()) RefreshDeviceList();
  if (ADeviceIndex < 0 || static_cast<size_t>(ADeviceIndex) >= FDevicePositions.size()) return false;
  const int32_t position = FDevicePositions[static_cast<size_t>(ADeviceIndex)];
  ComPtr<IEnumMoniker> list;
  return CreateClassEnumerator(list) && dxMediaResult(list->Reset()) &&
         (position == 0 || dxMediaResult(list->Skip(static_cast<ULONG>(position)))) &&
         dxMediaResult(list->Next(1, AMoniker.Out(), nullptr));
}

TdxCamera* TdxCameraManager::GetCamera(int32_t ADeviceIndex) {
  for (TdxCamera* c : FCameraList)
    if (!c->ComponentState().Contains(csDestroying) && c->DeviceIndex() == ADeviceIndex) return c;
  auto* camera = new TdxCamera();
  if (!camera->Initialize(ADeviceIndex)) {
    delete camera;
    return nullptr;
  }
  FCameraList.push_back(camera);
  camera->OnDeviceLost = TNotifyEvent(this, &TdxCameraManager::DeviceLost);
  camera->OnDeviceNotUsed = TNotifyEvent(this, &TdxCameraManager::DeviceLost);
  return camera;
}

void TdxCameraManager::DeviceLost(TObject* Sender) {
  // Called from inside the camera (its poll or its event window): it leaves the list now and
  // is freed once that call has returned.
  auto* camera = static_cast<TdxCamera*>(Sender);
  if (std::find(FCameraList.begin(), FCameraList.end(), camera) == FCameraList.end()) return;
  std::erase(FCameraList, camera);
  FReleasedCameras.push_back(camera);
  PostMessageW(FWindow->Handle(), kFreeReleasedCameras, 0, 0);
}

void TdxCameraManager::FreeReleasedCameras() {
  while (!FReleasedCameras.empty()) {
    TdxCamera* camera = FReleasedCameras.back();
    FReleasedCameras.pop_back();
    delete camera;
  }
}

void TdxCameraManager::CameraDestroyed(TdxCamera* ACamera) {
  std::erase(FCameraList, ACamera);
  std::erase(FReleasedCameras, ACamera);
}

bool TdxCameraManager::HasRequest(TdxCustomCameraControl* AControl) const {
  return std::find(FRequestList.begin(), FRequestList.end(), AControl) != FRequestList.end();
}

void TdxCameraManager::AddRequest(TdxCustomCameraControl* AControl) {
  if (HasRequest(AControl)) return;
  FRequestList.push_back(AControl);
  FRequestTimer->SetEnabled(true);
  RequestTimer(nullptr);
}

void TdxCameraManager::CancelRequest(TdxCustomCameraControl* AControl) {
  std::erase(FRequestList, AControl);
}

void TdxCameraManager::RequestTimer(TObject* Sender) {
  RefreshDeviceList();
  for (size_t i = FRequestList.size(); i-- > 0;) {
    if (i >= FRequestList.size()) continue;  // requests went away meanwhile
    TdxCustomCameraControl* control = FRequestList[i];
    control->SetCamera(GetCamera(control->DeviceIndex()));
  }
  if (FRequestList.empty()) FRequestTimer->SetEnabled(false);
}

bool TdxCameraManager::StartRecording(int32_t ADeviceIndex, const String& AFileName) {
  TdxCamera* camera = GetCamera(ADeviceIndex);
  return camera && camera->StartRecording(AFileName);
}

void TdxCameraManager::StopRecording(int32_t ADeviceIndex) {
  if (TdxCamera* camera = GetCamera(ADeviceIndex)) camera->StopRecording();
}

TdxCameraManager* dxCameraManager() {
  if (!FCameraManager && !FCameraUnitFinalized) FCameraManager = new TdxCameraManager();
  return FCameraManager;
}

bool dxIsCameraAvailable() {
  TdxCameraManager* manager = dxCameraManager();
  return manager && manager->GetDeviceCount() > 0;
}

namespace dxCameraControlCapture {

void Initialize() {
  FCameraUnitFinalized = false;
}

void Finalize() {
  // Controls that lose their cameras now file no new requests: no manager is made again.
  FCameraUnitFinalized = true;
  TdxCameraManager* manager = FCameraManager;
  FCameraManager = nullptr;
  delete manager;
}

}  // namespace dxCameraControlCapture

}  // namespace qd
