#pragma once
// Video capture through the media-graph objects: the system device enumerator, device
// monikers with their property bags, the capture graph builder, the filter graph with its
// media control and events, the sample grabber, the null renderer and the capture pin's
// stream configuration. The objects are reference counted and created by CoCreateInstance;
// results are HRESULTs where only S_OK means success.
//
// Under the objects lies a capture backend (platform/media/capture.h): Video4Linux2 devices,
// or the synthetic cameras that tests and machines without a camera select. The windowed and
// windowless video renderers and the AVI multiplexer are not provided: creating them fails
// with REGDB_E_CLASSNOTREG, asking for their interfaces with E_NOINTERFACE.
#include <cstdint>

#include "platform/base/variant.h"
#include "platform/os/gdi.h"
#include "platform/os/kernel.h"
#include "platform/os/objidl.h"
#include "platform/os/user.h"
#include "platform/os/uxtheme.h"
#include "platform/os/wintypes.h"

namespace qd {

constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_ABORT = static_cast<HRESULT>(0x80004004u);
constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);
constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
constexpr HRESULT VFW_E_NOT_CONNECTED = static_cast<HRESULT>(0x80040209u);
constexpr HRESULT VFW_E_WRONG_STATE = static_cast<HRESULT>(0x80040227u);
constexpr HRESULT VFW_E_NOT_FOUND = static_cast<HRESULT>(0x80040216u);
constexpr HRESULT VFW_E_CANNOT_RENDER = static_cast<HRESULT>(0x80040218u);
constexpr HRESULT VFW_E_INVALIDMEDIATYPE = static_cast<HRESULT>(0x80040200u);

constexpr DWORD CLSCTX_INPROC_SERVER = 1;
constexpr DWORD CLSCTX_INPROC_HANDLER = 2;
constexpr DWORD CLSCTX_INPROC = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER;

// Graph event codes.
constexpr long EC_COMPLETE = 1;
constexpr long EC_DEVICE_LOST = 31;
constexpr long INFINITE_TIMEOUT = -1;

// --- Identifiers -----------------------------------------------------------------------------

extern const GUID CLSID_SystemDeviceEnum;
extern const GUID CLSID_VideoInputDeviceCategory;
extern const GUID CLSID_CaptureGraphBuilder2;
extern const GUID CLSID_FilterGraph;
extern const GUID CLSID_SampleGrabber;
extern const GUID CLSID_NullRenderer;
extern const GUID CLSID_VideoMixingRenderer;
extern const GUID PIN_CATEGORY_CAPTURE;
extern const GUID PIN_CATEGORY_PREVIEW;
extern const GUID MEDIATYPE_Video;
extern const GUID MEDIASUBTYPE_RGB32;
extern const GUID MEDIASUBTYPE_Avi;
extern const GUID FORMAT_VideoInfo;
extern const GUID IID_IUnknown;
extern const GUID IID_ICreateDevEnum;
extern const GUID IID_IPropertyBag;
extern const GUID IID_ICaptureGraphBuilder2;
extern const GUID IID_IGraphBuilder;
extern const GUID IID_IBaseFilter;
extern const GUID IID_IMediaControl;
extern const GUID IID_IMediaEventEx;
extern const GUID IID_IVideoWindow;
extern const GUID IID_ISampleGrabber;
extern const GUID IID_IAMStreamConfig;
extern const GUID IID_IVMRFilterConfig;
extern const GUID IID_IVMRWindowlessControl;

// A media subtype made from a four-character code: the code is the first 32 bits.
GUID MediaSubtypeFromFourCC(uint32_t AFourCC);

// --- Records ---------------------------------------------------------------------------------

struct AM_MEDIA_TYPE {
  GUID majortype;
  GUID subtype;
  BOOL bFixedSizeSamples = 0;
  BOOL bTemporalCompression = 0;
  ULONG lSampleSize = 0;
  GUID formattype;
  void* pUnk = nullptr;
  ULONG cbFormat = 0;
  uint8_t* pbFormat = nullptr;  // CoTaskMemAlloc'd
};

struct VIDEOINFOHEADER {
  RECT rcSource;
  RECT rcTarget;
  DWORD dwBitRate = 0;
  DWORD dwBitErrorRate = 0;
  int64_t AvgTimePerFrame = 0;
  BITMAPINFOHEADER bmiHeader;
};
static_assert(sizeof(VIDEOINFOHEADER) == 88);

struct VIDEO_STREAM_CONFIG_CAPS {
  GUID guid;
  ULONG VideoStandard = 0;
  SIZE InputSize;
  SIZE MinCroppingSize;
  SIZE MaxCroppingSize;
  int MinOutputSize[2] = {};
  int MaxOutputSize[2] = {};
  uint8_t Reserved[64] = {};
};

void* CoTaskMemAlloc(size_t ASize);
void CoTaskMemFree(void* APointer);
// Frees the format block (and clears the record's format fields).
void FreeMediaType(AM_MEDIA_TYPE& AType);
// Frees the format block and the record, which came from CoTaskMemAlloc.
void DeleteMediaType(AM_MEDIA_TYPE* AType);
// Copies the record with a format block of its own.
HRESULT CopyMediaType(AM_MEDIA_TYPE* ATarget, const AM_MEDIA_TYPE* ASource);

// --- Interfaces ------------------------------------------------------------------------------

class IUnknown {
 public:
  virtual HRESULT QueryInterface(const GUID& riid, void** ppv) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  virtual ~IUnknown() = default;
};

class IPropertyBag : public virtual IUnknown {
 public:
  // "FriendlyName" (and "DevicePath") as a string variant.
  virtual HRESULT Read(const WCHAR* APropName, Variant* AValue, void* AErrorLog) = 0;
};

class IBaseFilter : public virtual IUnknown {};

class IEnumFilters : public virtual IUnknown {
 public:
  virtual HRESULT Next(ULONG ACount, IBaseFilter** AFilters, ULONG* AFetched) = 0;
  virtual HRESULT Skip(ULONG ACount) = 0;
  virtual HRESULT Reset() = 0;
};

class IMoniker : public virtual IUnknown {
 public:
  virtual HRESULT BindToObject(void* ABindCtx, IMoniker* AToLeft, const GUID& riid, void** ppv) = 0;
  virtual HRESULT BindToStorage(void* ABindCtx, IMoniker* AToLeft, const GUID& riid, void** ppv) = 0;
};

class IEnumMoniker : public virtual IUnknown {
 public:
  virtual HRESULT Next(ULONG ACount, IMoniker** AMonikers, ULONG* AFetched) = 0;
  virtual HRESULT Skip(ULONG ACount) = 0;
  virtual HRESULT Reset() = 0;
};

class ICreateDevEnum : public virtual IUnknown {
 public:
  // S_FALSE with no enumerator when the category holds no device.
  virtual HRESULT CreateClassEnumerator(const GUID& AClsidDeviceClass, IEnumMoniker** AEnum,
                                        DWORD AFlags) = 0;
};

class IGraphBuilder : public virtual IUnknown {
 public:
  virtual HRESULT AddFilter(IBaseFilter* AFilter, const WCHAR* AName) = 0;
  virtual HRESULT RemoveFilter(IBaseFilter* AFilter) = 0;
  virtual HRESULT EnumFilters(IEnumFilters** AEnum) = 0;
};

class ICaptureGraphBuilder2 : public virtual IUnknown {
 public:
  virtual HRESULT SetFiltergraph(IGraphBuilder* AGraph) = 0;
  virtual HRESULT SetOutputFileName(const GUID* AType, const WCHAR* AFile, IBaseFilter** AMux,
                                    void** ASink) = 0;
  virtual HRESULT FindInterface(const GUID* ACategory, const GUID* AType, IBaseFilter* AFilter,
                                const GUID& riid, void** ppv) = 0;
  virtual HRESULT RenderStream(const GUID* ACategory, const GUID* AType, IUnknown* ASource,
                               IBaseFilter* AIntermediate, IBaseFilter* ASink) = 0;
};

class IMediaControl : public virtual IUnknown {
 public:
  virtual HRESULT Run() = 0;
  virtual HRESULT Pause() = 0;
  virtual HRESULT Stop() = 0;
};

class IMediaEventEx : public virtual IUnknown {
 public:
  // Each event posts AMsg with wParam 0 and lParam AInstanceData to the window.
  virtual HRESULT SetNotifyWindow(HWND AWnd, long AMsg, LONG_PTR AInstanceData) = 0;
  // E_ABORT when no event is queued.
  virtual HRESULT GetEvent(long* AEventCode, LONG_PTR* AParam1, LONG_PTR* AParam2, long ATimeout) = 0;
  virtual HRESULT FreeEventParams(long AEventCode, LONG_PTR AParam1, LONG_PTR AParam2) = 0;
};

class ISampleGrabber : public virtual IUnknown {
 public:
  virtual HRESULT SetOneShot(BOOL AOneShot) = 0;
  virtual HRESULT SetMediaType(const AM_MEDIA_TYPE* AType) = 0;
  // The format of the frames that arrive (a VIDEOINFOHEADER block); the caller frees the
  // block with FreeMediaType.
  virtual HRESULT GetConnectedMediaType(AM_MEDIA_TYPE* AType) = 0;
  virtual HRESULT SetBufferSamples(BOOL ABufferThem) = 0;
  // With no buffer: the size of the latest frame in ASize. With one: copies the frame,
  // E_OUTOFMEMORY when ASize is too small. VFW_E_WRONG_STATE while no frame arrived.
  virtual HRESULT GetCurrentBuffer(long* ASize, long* ABuffer) = 0;
};

class IAMStreamConfig : public virtual IUnknown {
 public:
  virtual HRESULT SetFormat(AM_MEDIA_TYPE* AType) = 0;
  // The caller frees the record with DeleteMediaType.
  virtual HRESULT GetFormat(AM_MEDIA_TYPE** AType) = 0;
  virtual HRESULT GetNumberOfCapabilities(int* ACount, int* ASize) = 0;
  virtual HRESULT GetStreamCaps(int AIndex, AM_MEDIA_TYPE** AType, uint8_t* ACaps) = 0;
};

// Declared for the renderers that no capture path here creates.
class IVideoWindow : public virtual IUnknown {};
class IVMRFilterConfig : public virtual IUnknown {};
class IVMRWindowlessControl : public virtual IUnknown {};

// Creates one of the media classes above (ADwClsContext must include an in-process server).
HRESULT CoCreateInstance(const GUID& AClsid, IUnknown* AOuter, DWORD AClsContext, const GUID& riid,
                         void** ppv);

// An interface pointer that holds one reference.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  ComPtr(const ComPtr& A) : FPtr(A.FPtr) {
    if (FPtr) FPtr->AddRef();
  }
  ComPtr(ComPtr&& A) noexcept : FPtr(A.FPtr) { A.FPtr = nullptr; }
  ~ComPtr() { Clear(); }
  ComPtr& operator=(const ComPtr& A) {
    if (A.FPtr) A.FPtr->AddRef();
    Clear();
    FPtr = A.FPtr;
    return *this;
  }
  ComPtr& operator=(ComPtr&& A) noexcept {
    if (this != &A) {
      Clear();
      FPtr = A.FPtr;
      A.FPtr = nullptr;
    }
    return *this;
  }
  ComPtr& operator=(std::nullptr_t) {
    Clear();
    return *this;
  }
  void Clear() {
    if (FPtr) {
      T* p = FPtr;
      FPtr = nullptr;
      p->Release();
    }
  }
  T* Get() const { return FPtr; }
  T* operator->() const { return FPtr; }
  explicit operator bool() const { return FPtr != nullptr; }
  // For out parameters: releases what is held.
  T** Out() {
    Clear();
    return &FPtr;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }
  // Asks the held object for another interface.
  template <class U>
  HRESULT As(const GUID& riid, ComPtr<U>& AOut) const {
    if (!FPtr) return E_POINTER;
    return FPtr->QueryInterface(riid, AOut.OutVoid());
  }

 private:
  T* FPtr = nullptr;
};

}  // namespace qd
