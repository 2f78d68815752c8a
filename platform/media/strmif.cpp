// The media-graph objects over the capture backend.
#include "platform/media/strmif.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <vector>

#include "platform/media/capture.h"

namespace qd {

namespace {

constexpr uint8_t HexValue(char c) {
  return static_cast<uint8_t>(c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                     : c - 'A' + 10);
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
constexpr GUID ParseGuid(const char* s) {
  GUID g;
  auto hex = [&](int from, int digits) {
    uint32_t v = 0;
    for (int i = 0; i < digits; ++i) v = v * 16 + HexValue(s[from + i]);
    return v;
  };
  g.Data1 = hex(1, 8);
  g.Data2 = static_cast<uint16_t>(hex(10, 4));
  g.Data3 = static_cast<uint16_t>(hex(15, 4));
  g.Data4[0] = static_cast<uint8_t>(hex(20, 2));
  g.Data4[1] = static_cast<uint8_t>(hex(22, 2));
  for (int i = 0; i < 6; ++i) g.Data4[2 + i] = static_cast<uint8_t>(hex(25 + 2 * i, 2));
  return g;
}

}  // namespace

const GUID CLSID_SystemDeviceEnum = ParseGuid("{62BE5D10-60EB-11D0-BD3B-00A0C911CE86}");
const GUID CLSID_VideoInputDeviceCategory = ParseGuid("{860BB310-5D01-11D0-BD3B-00A0C911CE86}");
const GUID CLSID_CaptureGraphBuilder2 = ParseGuid("{BF87B6E1-8C27-11D0-B3F0-00AA003761C5}");
const GUID CLSID_FilterGraph = ParseGuid("{E436EBB3-524F-11CE-9F53-0020AF0BA770}");
const GUID CLSID_SampleGrabber = ParseGuid("{C1F400A0-3F08-11D3-9F0B-006008039E37}");
const GUID CLSID_NullRenderer = ParseGuid("{C1F400A4-3F08-11D3-9F0B-006008039E37}");
const GUID CLSID_VideoMixingRenderer = ParseGuid("{B87BEB7B-8D29-423F-AE4D-6582C10175AC}");
const GUID PIN_CATEGORY_CAPTURE = ParseGuid("{FB6C4281-0353-11D1-905F-0000C0CC16BA}");
const GUID PIN_CATEGORY_PREVIEW = ParseGuid("{FB6C4282-0353-11D1-905F-0000C0CC16BA}");
const GUID MEDIATYPE_Video = ParseGuid("{73646976-0000-0010-8000-00AA00389B71}");
const GUID MEDIASUBTYPE_RGB32 = ParseGuid("{E436EB7E-524F-11CE-9F53-0020AF0BA770}");
const GUID MEDIASUBTYPE_Avi = ParseGuid("{E436EB88-524F-11CE-9F53-0020AF0BA770}");
const GUID FORMAT_VideoInfo = ParseGuid("{05589F80-C356-11CE-BF01-00AA0055595A}");
const GUID IID_IUnknown = ParseGuid("{00000000-0000-0000-C000-000000000046}");
const GUID IID_ICreateDevEnum = ParseGuid("{29840822-5B84-11D0-BD3B-00A0C911CE86}");
const GUID IID_IPropertyBag = ParseGuid("{55272A00-42CB-11CE-8135-00AA004BB851}");
const GUID IID_ICaptureGraphBuilder2 = ParseGuid("{93E5A4E0-2D50-11D2-ABFA-00A0C9C6E38D}");
const GUID IID_IGraphBuilder = ParseGuid("{56A868A9-0AD4-11CE-B03A-0020AF0BA770}");
const GUID IID_IBaseFilter = ParseGuid("{56A86895-0AD4-11CE-B03A-0020AF0BA770}");
const GUID IID_IMediaControl = ParseGuid("{56A868B1-0AD4-11CE-B03A-0020AF0BA770}");
const GUID IID_IMediaEventEx = ParseGuid("{56A868C0-0AD4-11CE-B03A-0020AF0BA770}");
const GUID IID_IVideoWindow = ParseGuid("{56A868B4-0AD4-11CE-B03A-0020AF0BA770}");
const GUID IID_ISampleGrabber = ParseGuid("{6B652FFF-11FE-4FCE-92AD-0266B5D7C78F}");
const GUID IID_IAMStreamConfig = ParseGuid("{C6E13340-30AC-11D0-A18C-00A0C9118956}");
const GUID IID_IVMRFilterConfig = ParseGuid("{9E5530C5-7034-48B4-BB46-0B8A6EFC8E36}");
const GUID IID_IVMRWindowlessControl = ParseGuid("{0EB1088C-4DCD-46F0-878F-39DAE86A51B7}");

GUID MediaSubtypeFromFourCC(uint32_t AFourCC) {
  GUID g = ParseGuid("{00000000-0000-0010-8000-00AA00389B71}");
  g.Data1 = AFourCC;
  return g;
}

void* CoTaskMemAlloc(size_t ASize) {
  return std::malloc(ASize ? ASize : 1);
}

void CoTaskMemFree(void* APointer) {
  std::free(APointer);
}

void FreeMediaType(AM_MEDIA_TYPE& AType) {
  CoTaskMemFree(AType.pbFormat);
  AType.pbFormat = nullptr;
  AType.cbFormat = 0;
  AType.pUnk = nullptr;
}

void DeleteMediaType(AM_MEDIA_TYPE* AType) {
  if (!AType) return;
  FreeMediaType(*AType);
  AType->~AM_MEDIA_TYPE();
  CoTaskMemFree(AType);
}

HRESULT CopyMediaType(AM_MEDIA_TYPE* ATarget, const AM_MEDIA_TYPE* ASource) {
  if (!ATarget || !ASource) return E_POINTER;
  *ATarget = *ASource;
  ATarget->pbFormat = nullptr;
  if (ASource->cbFormat && ASource->pbFormat) {
    ATarget->pbFormat = static_cast<uint8_t*>(CoTaskMemAlloc(ASource->cbFormat));
    std::memcpy(ATarget->pbFormat, ASource->pbFormat, ASource->cbFormat);
  } else {
    ATarget->cbFormat = 0;
  }
  return S_OK;
}

namespace {

using media::TCaptureDevice;
using media::TCaptureDeviceInfo;
using media::TCaptureFrame;
using media::TCaptureSize;

// Reference counting shared by every object; QueryInterface is each class's own.
template <class... TInterfaces>
class TMediaObject : public TInterfaces... {
 public:
  ULONG AddRef() override { return ++FRefCount; }
  ULONG Release() override {
    const ULONG n = --FRefCount;
    if (n == 0) delete this;
    return n;
  }

 protected:
  TMediaObject() = default;
  template <class T>
  HRESULT Answer(T* AInterface, void** ppv) {
    *ppv = AInterface;
    AInterface->AddRef();
    return S_OK;
  }

 private:
  std::atomic<ULONG> FRefCount{0};
};

// Hands a new object out through ppv (or frees it when the interface is not offered).
template <class T>
HRESULT Hand(T* AObject, const GUID& riid, void** ppv) {
  AObject->AddRef();
  const HRESULT hr = AObject->QueryInterface(riid, ppv);
  AObject->Release();
  return hr;
}

// A video format record of the given code and size.
AM_MEDIA_TYPE* NewVideoType(uint32_t AFourCC, TCaptureSize ASize) {
  auto* mt = new (CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE))) AM_MEDIA_TYPE;
  mt->majortype = MEDIATYPE_Video;
  mt->subtype = MediaSubtypeFromFourCC(AFourCC);
  mt->formattype = FORMAT_VideoInfo;
  mt->bFixedSizeSamples = TRUE;
  mt->cbFormat = sizeof(VIDEOINFOHEADER);
  auto* vih = new (CoTaskMemAlloc(sizeof(VIDEOINFOHEADER))) VIDEOINFOHEADER;
  vih->rcSource = TRect{0, 0, ASize.Width, ASize.Height};
  vih->rcTarget = vih->rcSource;
  vih->AvgTimePerFrame = 333333;
  vih->bmiHeader.biWidth = ASize.Width;
  vih->bmiHeader.biHeight = ASize.Height;
  vih->bmiHeader.biBitCount = AFourCC == 0x47504A4D /* MJPG */   ? 24
                              : AFourCC == 0x56595559 /* YUYV */ ? 16
                                                                 : 24;
  vih->bmiHeader.biCompression = AFourCC;
  mt->pbFormat = reinterpret_cast<uint8_t*>(vih);
  mt->lSampleSize = static_cast<ULONG>(std::max(0, ASize.Width) * std::max(0, ASize.Height) *
                                       vih->bmiHeader.biBitCount / 8);
  return mt;
}

class TFilterGraph;

// The capture device's filter, with its capture pin's stream configuration.
class TCaptureFilter final : public TMediaObject<IBaseFilter, IAMStreamConfig> {
 public:
  explicit TCaptureFilter(std::unique_ptr<TCaptureDevice> ADevice) : FDevice(std::move(ADevice)) {}
  ~TCaptureFilter() override { FDevice->OnLost = nullptr; }

  HRESULT QueryInterface(const GUID& riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IBaseFilter) return Answer<IBaseFilter>(this, ppv);
    if (riid == IID_IAMStreamConfig) return Answer<IAMStreamConfig>(this, ppv);
    return E_NOINTERFACE;
  }

  HRESULT SetFormat(AM_MEDIA_TYPE* AType) override {
    if (!AType) return E_POINTER;
    if (!(AType->formattype == FORMAT_VideoInfo) || AType->cbFormat < sizeof(VIDEOINFOHEADER) ||
        !AType->pbFormat)
      return VFW_E_INVALIDMEDIATYPE;
    VIDEOINFOHEADER vih;
    std::memcpy(&vih, AType->pbFormat, sizeof(vih));
    return FDevice->SetSize({vih.bmiHeader.biWidth, std::abs(vih.bmiHeader.biHeight)})
               ? S_OK
               : VFW_E_INVALIDMEDIATYPE;
  }
  HRESULT GetFormat(AM_MEDIA_TYPE** AType) override {
    if (!AType) return E_POINTER;
    *AType = NewVideoType(FDevice->FormatCode(), FDevice->CurrentSize());
    return S_OK;
  }
  HRESULT GetNumberOfCapabilities(int* ACount, int* ASize) override {
    if (!ACount || !ASize) return E_POINTER;
    *ACount = static_cast<int>(FDevice->Sizes().size());
    *ASize = sizeof(VIDEO_STREAM_CONFIG_CAPS);
    return S_OK;
  }
  HRESULT GetStreamCaps(int AIndex, AM_MEDIA_TYPE** AType, uint8_t* ACaps) override {
    if (!AType || !ACaps) return E_POINTER;
    const std::vector<TCaptureSize> sizes = FDevice->Sizes();
    if (AIndex < 0 || static_cast<size_t>(AIndex) >= sizes.size()) return S_FALSE;
    const TCaptureSize s = sizes[static_cast<size_t>(AIndex)];
    *AType = NewVideoType(FDevice->FormatCode(), s);
    VIDEO_STREAM_CONFIG_CAPS caps;
    caps.guid = FORMAT_VideoInfo;
    caps.InputSize = TSize{s.Width, s.Height};
    caps.MinCroppingSize = caps.MaxCroppingSize = caps.InputSize;
    caps.MinOutputSize[0] = caps.MaxOutputSize[0] = s.Width;
    caps.MinOutputSize[1] = caps.MaxOutputSize[1] = s.Height;
    std::memcpy(ACaps, &caps, sizeof(caps));
    return S_OK;
  }

  TCaptureDevice& Device() { return *FDevice; }

 private:
  std::unique_ptr<TCaptureDevice> FDevice;
};

class TSampleGrabber final : public TMediaObject<IBaseFilter, ISampleGrabber> {
 public:
  HRESULT QueryInterface(const GUID& riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IBaseFilter) return Answer<IBaseFilter>(this, ppv);
    if (riid == IID_ISampleGrabber) return Answer<ISampleGrabber>(this, ppv);
    return E_NOINTERFACE;
  }
  HRESULT SetOneShot(BOOL) override { return E_NOTIMPL; }
  HRESULT SetMediaType(const AM_MEDIA_TYPE* AType) override {
    if (!AType) return E_POINTER;
    // Every device's frames are converted to 32-bit RGB; no other type is delivered.
    if (!(AType->majortype == MEDIATYPE_Video) || !(AType->subtype == MEDIASUBTYPE_RGB32))
      return VFW_E_INVALIDMEDIATYPE;
    return S_OK;
  }
  HRESULT GetConnectedMediaType(AM_MEDIA_TYPE* AType) override {
    if (!AType) return E_POINTER;
    if (!FSource) return VFW_E_NOT_CONNECTED;
    const TCaptureSize size =
        FHasFrame ? TCaptureSize{FFrame.Width, FFrame.Height} : FSource->Device().CurrentSize();
    AM_MEDIA_TYPE* mt = NewVideoType(0, size);
    auto* vih = reinterpret_cast<VIDEOINFOHEADER*>(mt->pbFormat);
    vih->bmiHeader.biBitCount = 32;
    vih->bmiHeader.biCompression = 0;  // BI_RGB
    mt->subtype = MEDIASUBTYPE_RGB32;
    mt->lSampleSize = static_cast<ULONG>(FHasFrame ? FFrame.Data.size() : 0);
    *AType = *mt;
    mt->pbFormat = nullptr;
    DeleteMediaType(mt);
    return S_OK;
  }
  HRESULT SetBufferSamples(BOOL ABufferThem) override {
    FBuffer = ABufferThem != FALSE;
    return S_OK;
  }
  HRESULT GetCurrentBuffer(long* ASize, long* ABuffer) override {
    if (!ASize) return E_POINTER;
    if (!FBuffer) return E_INVALIDARG;
    if (!FSource || !FRunning) return VFW_E_WRONG_STATE;
    if (!ABuffer) {
      FHasFrame = FSource->Device().LatestFrame(FFrame);
      if (!FHasFrame) return VFW_E_WRONG_STATE;
      *ASize = static_cast<long>(FFrame.Data.size());
      return S_OK;
    }
    if (!FHasFrame) return VFW_E_WRONG_STATE;
    if (static_cast<size_t>(*ASize) < FFrame.Data.size()) return E_OUTOFMEMORY;
    std::memcpy(ABuffer, FFrame.Data.data(), FFrame.Data.size());
    *ASize = static_cast<long>(FFrame.Data.size());
    return S_OK;
  }

  void Connect(TCaptureFilter* ASource) {
    FSource = ASource;
    FHasFrame = false;
  }
  void SetRunning(bool AValue) {
    FRunning = AValue;
    if (!AValue) FHasFrame = false;
  }
  TCaptureFilter* Source() const { return FSource; }

 private:
  TCaptureFilter* FSource = nullptr;  // kept alive by the graph while connected
  bool FBuffer = false;
  bool FRunning = false;
  bool FHasFrame = false;
  TCaptureFrame FFrame;
};

class TNullRenderer final : public TMediaObject<IBaseFilter> {
 public:
  HRESULT QueryInterface(const GUID& riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IBaseFilter) return Answer<IBaseFilter>(this, ppv);
    return E_NOINTERFACE;
  }
};

class TFilterGraph final : public TMediaObject<IGraphBuilder, IMediaControl, IMediaEventEx> {
 public:
  struct TEntry {
    ComPtr<IBaseFilter> Filter;
    String Name;
  };

  ~TFilterGraph() override {
    Disconnect();
    for (const TEntry& e : FFilters)
      if (auto* capture = dynamic_cast<TCaptureFilter*>(e.Filter.Get())) capture->Device().OnLost = nullptr;
  }

  HRESULT QueryInterface(const GUID& riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IGraphBuilder) return Answer<IGraphBuilder>(this, ppv);
    if (riid == IID_IMediaControl) return Answer<IMediaControl>(this, ppv);
    if (riid == IID_IMediaEventEx) return Answer<IMediaEventEx>(this, ppv);
    return E_NOINTERFACE;
  }

  // IGraphBuilder
  HRESULT AddFilter(IBaseFilter* AFilter, const WCHAR* AName) override {
    if (!AFilter) return E_POINTER;
    if (Find(AFilter)) return VFW_E_WRONG_STATE;
    TEntry e;
    AFilter->AddRef();
    *e.Filter.Out() = AFilter;
    e.Name = AName ? String(AName) : String();
    FFilters.push_back(std::move(e));
    if (auto* capture = dynamic_cast<TCaptureFilter*>(AFilter)) Watch(capture);
    return S_OK;
  }
  HRESULT RemoveFilter(IBaseFilter* AFilter) override {
    auto it = std::find_if(FFilters.begin(), FFilters.end(),
                           [&](const TEntry& e) { return e.Filter.Get() == AFilter; });
    if (it == FFilters.end()) return VFW_E_NOT_FOUND;
    if (IsInChain(AFilter)) Disconnect();
    if (auto* capture = dynamic_cast<TCaptureFilter*>(AFilter)) capture->Device().OnLost = nullptr;
    FFilters.erase(it);
    return S_OK;
  }
  HRESULT EnumFilters(IEnumFilters** AEnum) override;

  // IMediaControl
  HRESULT Run() override {
    if (!FSource) return S_OK;  // nothing connected: nothing to run
    if (FRunning) return S_OK;
    if (!FSource->Device().Start()) return E_FAIL;
    FRunning = true;
    if (FGrabber) FGrabber->SetRunning(true);
    return S_OK;
  }
  HRESULT Pause() override { return E_NOTIMPL; }
  HRESULT Stop() override {
    if (FSource && FRunning) FSource->Device().Stop();
    FRunning = false;
    if (FGrabber) FGrabber->SetRunning(false);
    return S_OK;
  }

  // IMediaEventEx
  HRESULT SetNotifyWindow(HWND AWnd, long AMsg, LONG_PTR AInstanceData) override {
    FNotifyWnd = AWnd;
    FNotifyMsg = static_cast<UINT>(AMsg);
    FNotifyData = AInstanceData;
    return S_OK;
  }
  HRESULT GetEvent(long* AEventCode, LONG_PTR* AParam1, LONG_PTR* AParam2, long) override {
    if (!AEventCode || !AParam1 || !AParam2) return E_POINTER;
    if (FEvents.empty()) return E_ABORT;
    *AEventCode = FEvents.front().Code;
    *AParam1 = FEvents.front().P1;
    *AParam2 = FEvents.front().P2;
    FEvents.pop_front();
    return S_OK;
  }
  HRESULT FreeEventParams(long, LONG_PTR, LONG_PTR) override { return S_OK; }

  // The capture graph builder's work.
  HRESULT Connect(TCaptureFilter* ASource, TSampleGrabber* AGrabber, IBaseFilter* ASink) {
    if (!Find(ASource) || (AGrabber && !Find(AGrabber)) || !ASink || !Find(ASink)) return VFW_E_NOT_FOUND;
    if (FSource) return VFW_E_WRONG_STATE;  // the capture pin is connected already
    if (dynamic_cast<TNullRenderer*>(ASink) == nullptr) return VFW_E_CANNOT_RENDER;
    FSource = ASource;
    FGrabber = AGrabber;
    FSink = ASink;
    if (FGrabber) FGrabber->Connect(ASource);
    return S_OK;
  }
  const std::vector<TEntry>& Filters() const { return FFilters; }

 private:
  struct TEvent {
    long Code;
    LONG_PTR P1;
    LONG_PTR P2;
  };

  bool Find(IBaseFilter* AFilter) const {
    return std::any_of(FFilters.begin(), FFilters.end(),
                       [&](const TEntry& e) { return e.Filter.Get() == AFilter; });
  }
  bool IsInChain(IBaseFilter* AFilter) const {
    return AFilter == static_cast<IBaseFilter*>(FSource) || AFilter == static_cast<IBaseFilter*>(FGrabber) ||
           AFilter == FSink;
  }
  void Disconnect() {
    Stop();
    if (FGrabber) FGrabber->Connect(nullptr);
    FSource = nullptr;
    FGrabber = nullptr;
    FSink = nullptr;
  }
  void Watch(TCaptureFilter* ACapture) {
    ACapture->Device().OnLost = [this](bool AAvailable) {
      // The device is gone: it delivers nothing more; the owner hears of it by the event.
      if (!AAvailable) Stop();
      FEvents.push_back({EC_DEVICE_LOST, 0, AAvailable ? 1 : 0});
      if (FNotifyWnd) PostMessageW(FNotifyWnd, FNotifyMsg, 0, FNotifyData);
    };
  }

  std::vector<TEntry> FFilters;
  TCaptureFilter* FSource = nullptr;
  TSampleGrabber* FGrabber = nullptr;
  IBaseFilter* FSink = nullptr;
  bool FRunning = false;
  HWND FNotifyWnd = nullptr;
  UINT FNotifyMsg = 0;
  LONG_PTR FNotifyData = 0;
  std::deque<TEvent> FEvents;
};

// Lists the graph's filters as they were at creation or at the last Reset.
class TEnumFilters final : public TMediaObject<IEnumFilters> {
 public:
  explicit TEnumFilters(TFilterGraph* AGraph) : FGraph(AGraph) {
    FGraph->AddRef();
    Reset();
  }
  ~TEnumFilters() override { FGraph->Release(); }
  HRESULT QueryInterface(const GUID& riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown) return Answer<IEnumFilters>(this, ppv);
    return E_NOINTERFACE;
  }
  HRESULT Next(ULONG ACount, IBaseFilter** AFilters, ULONG* AFetched) override {
    if (!AFilters) return E_POINTER;
    ULONG n = 0;
    while (n < ACount && FPosition < FList.size()) {
      AFilters[n] = FList[FPosition++].Get();
      AFilters[n]->AddRef();
      ++n;
    }
    if (AFetched) *AFetched = n;
    return n == ACount ? S_OK : S_FALSE;
  }
  HRESULT Skip(ULONG ACount) override {
    FPosition += ACount;
    return FPosition <= FList.size() ? S_OK : S_FALSE;
  }
  HRESULT Reset() override {
    FList.clear();
    for (const auto& e : FGraph->Filters()) FList.push_back(e.Filter);
    FPosition = 0;
    return S_OK;
  }

 private:
  TFilterGraph* FGraph;
  std::vector<ComPtr<IBaseFilter>> FList;
  size_t FPosition = 0;
};

HRESULT TFilterGraph::EnumFilters(IEnumFilters** AEnum) {
  if (!AEnum) return E_POINTER;
  return Hand(new TEnumFilters(this), IID_IUnknown, reinterpret_cast<void**>(AEnum));
}

class TCaptureGraphBuilder final : public TMediaObject<ICaptureGraphBuilder2> {
 public:
  HRESULT QueryInterface(const GUID& riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_ICaptureGraphBuilder2)
      return Answer<ICaptureGraphBuilder2>(this, ppv);
    return E_NOINTERFACE;
  }
  HRESULT SetFiltergraph(IGraphBuilder* AGraph) override {
    if (!AGraph) return E_POINTER;
    if (FGraph) return E_UNEXPECTED;
    auto* graph = dynamic_cast<TFilterGraph*>(AGraph);
    if (!graph) return E_NOINTERFACE;
    graph->AddRef();
    *FGraph.Out() = graph;
    return S_OK;
  }
  HRESULT SetOutputFileName(const GUID*, const WCHAR*, IBaseFilter** AMux, void** ASink) override {
    // No file writer exists here: recording is not available.
    if (AMux) *AMux = nullptr;
    if (ASink) *ASink = nullptr;
    return E_NOTIMPL;
  }
  HRESULT FindInterface(const GUID* ACategory, const GUID* AType, IBaseFilter* AFilter, const GUID& riid,
                        void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (!AFilter) return E_POINTER;
    if (ACategory && !(*ACategory == PIN_CATEGORY_CAPTURE)) return E_NOINTERFACE;
    if (AType && !(*AType == MEDIATYPE_Video)) return E_NOINTERFACE;
    return AFilter->QueryInterface(riid, ppv);
  }
  HRESULT RenderStream(const GUID* ACategory, const GUID* AType, IUnknown* ASource,
                       IBaseFilter* AIntermediate, IBaseFilter* ASink) override {
    if (!FGraph) return E_UNEXPECTED;
    if (!ACategory || !(*ACategory == PIN_CATEGORY_CAPTURE)) return VFW_E_NOT_FOUND;
    if (AType && !(*AType == MEDIATYPE_Video)) return VFW_E_NOT_FOUND;
    auto* source = dynamic_cast<TCaptureFilter*>(ASource);
    if (!source) return E_INVALIDARG;
    TSampleGrabber* grabber = nullptr;
    if (AIntermediate) {
      grabber = dynamic_cast<TSampleGrabber*>(AIntermediate);
      if (!grabber) return VFW_E_CANNOT_RENDER;
    }
    return FGraph->Connect(source, grabber, ASink);
  }

 private:
  ComPtr<TFilterGraph> FGraph;
};

class TPropertyBag final : public TMediaObject<IPropertyBag> {
 public:
  explicit TPropertyBag(TCaptureDeviceInfo ADevice) : FDevice(std::move(ADevice)) {}
  HRESULT QueryInterface(const GUID& riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IPropertyBag) return Answer<IPropertyBag>(this, ppv);
    return E_NOINTERFACE;
  }
  HRESULT Read(const WCHAR* APropName, Variant* AValue, void*) override {
    if (!APropName || !AValue) return E_POINTER;
    const String name(APropName);
    if (name == u"FriendlyName") {
      if (!FDevice.Name) return E_FAIL;
      *AValue = Variant(*FDevice.Name);
      return S_OK;
    }
    if (name == u"DevicePath") {
      *AValue = Variant(Utf8ToString(FDevice.Id));
      return S_OK;
    }
    return E_INVALIDARG;
  }

 private:
  TCaptureDeviceInfo FDevice;
};

class TDeviceMoniker final : public TMediaObject<IMoniker> {
 public:
  explicit TDeviceMoniker(TCaptureDeviceInfo ADevice) : FDevice(std::move(ADevice)) {}
  HRESULT QueryInterface(const GUID& riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown) return Answer<IMoniker>(this, ppv);
    return E_NOINTERFACE;
  }
  HRESULT BindToObject(void*, IMoniker*, const GUID& riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    std::unique_ptr<TCaptureDevice> device = media::CaptureBackend().Open(FDevice);
    if (!device) return E_FAIL;
    return Hand(new TCaptureFilter(std::move(device)), riid, ppv);
  }
  HRESULT BindToStorage(void*, IMoniker*, const GUID& riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    return Hand(new TPropertyBag(FDevice), riid, ppv);
  }

 private:
  TCaptureDeviceInfo FDevice;
};

class TEnumMoniker final : public TMediaObject<IEnumMoniker> {
 public:
  explicit TEnumMoniker(std::vector<TCaptureDeviceInfo> ADevices) : FDevices(std::move(ADevices)) {}
  HRESULT QueryInterface(const GUID& riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown) return Answer<IEnumMoniker>(this, ppv);
    return E_NOINTERFACE;
  }
  HRESULT Next(ULONG ACount, IMoniker** AMonikers, ULONG* AFetched) override {
    if (!AMonikers) return E_POINTER;
    ULONG n = 0;
    while (n < ACount && FPosition < FDevices.size()) {
      auto* m = new TDeviceMoniker(FDevices[FPosition++]);
      m->AddRef();
      AMonikers[n++] = m;
    }
    if (AFetched) *AFetched = n;
    return n == ACount ? S_OK : S_FALSE;
  }
  HRESULT Skip(ULONG ACount) override {
    FPosition += ACount;
    if (FPosition > FDevices.size()) {
      FPosition = FDevices.size();
      return S_FALSE;
    }
    return S_OK;
  }
  HRESULT Reset() override {
    FPosition = 0;
    return S_OK;
  }

 private:
  std::vector<TCaptureDeviceInfo> FDevices;
  size_t FPosition = 0;
};

class TSystemDeviceEnum final : public TMediaObject<ICreateDevEnum> {
 public:
  HRESULT QueryInterface(const GUID& riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_ICreateDevEnum) return Answer<ICreateDevEnum>(this, ppv);
    return E_NOINTERFACE;
  }
  HRESULT CreateClassEnumerator(const GUID& AClsidDeviceClass, IEnumMoniker** AEnum, DWORD) override {
    if (!AEnum) return E_POINTER;
    *AEnum = nullptr;
    if (!(AClsidDeviceClass == CLSID_VideoInputDeviceCategory)) return S_FALSE;
    std::vector<TCaptureDeviceInfo> devices = media::CaptureBackend().Enumerate();
    if (devices.empty()) return S_FALSE;
    return Hand(new TEnumMoniker(std::move(devices)), IID_IUnknown, reinterpret_cast<void**>(AEnum));
  }
};

}  // namespace

HRESULT CoCreateInstance(const GUID& AClsid, IUnknown* AOuter, DWORD AClsContext, const GUID& riid,
                         void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (AOuter) return CLASS_E_NOAGGREGATION;
  if ((AClsContext & CLSCTX_INPROC) == 0) return REGDB_E_CLASSNOTREG;
  if (AClsid == CLSID_SystemDeviceEnum) return Hand(new TSystemDeviceEnum, riid, ppv);
  if (AClsid == CLSID_CaptureGraphBuilder2) return Hand(new TCaptureGraphBuilder, riid, ppv);
  if (AClsid == CLSID_FilterGraph) return Hand(new TFilterGraph, riid, ppv);
  if (AClsid == CLSID_SampleGrabber) return Hand(new TSampleGrabber, riid, ppv);
  if (AClsid == CLSID_NullRenderer) return Hand(new TNullRenderer, riid, ppv);
  return REGDB_E_CLASSNOTREG;
}

}  // namespace qd
